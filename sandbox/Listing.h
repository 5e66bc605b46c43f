#pragma once

#include <cstdint>
#include <string>

#include "SiteTable.h"

enum class ListingFormat : uint8_t { Chinese, FixedPrice, StoresFixedPrice, AdType };
enum class ShipsTo : uint8_t { Domestic, Europe, Worldwide };

// Payment methods, bit n of a listing's mask.
enum PaymentBit : uint32_t {
  kPayPal = 1u << 0,
  kMoneyXferAccepted = 1u << 1,
  kCashOnPickup = 1u << 2,
  kCOD = 1u << 3,
  kVisaMC = 1u << 4,
  kPersonalCheck = 1u << 5,
  kMOCC = 1u << 6,
  kAmEx = 1u << 7,
  kPaisaPayAccepted = 1u << 8,
  kPaymentSeeDescription = 1u << 9,
  kMoneyXferAcceptedInCheckout = 1u << 10,
};

struct Seller {
  std::string userId;
  bool commercial;
  int feedbackScore;
  int positivePermille;   // 975 = 97.5 %
  std::string storeName;  // commercial sellers only
  std::string storeSlug;  // its address part
};

struct Member {
  std::string userId;
  int feedbackScore;
};

// One listing as generated. Times are seconds relative to the clock's origin;
// prices are cents in the site's currency. What changes over time (bids,
// status) is computed from these by the auction model.
struct Listing {
  uint32_t index;
  uint8_t site;  // index into SiteTable::Sites()
  ListingFormat format;
  uint16_t kind;      // index into Vocabulary::Kinds()
  uint8_t product;    // which of the kind's products
  int8_t detail;      // which of the kind's details, -1 none
  int8_t colour;      // which colour, -1 none
  uint16_t extra;     // size index, format index or year, by the kind's extra
  uint32_t category;  // node index in the site's tree
  uint32_t seller;    // index into the site's sellers
  const Town* town;
  int32_t startSec;
  int32_t endSec;
  int64_t startPrice;  // auction start price, or the fixed price
  int64_t binPrice;    // auctions with Buy It Now; 0 otherwise
  int64_t value;       // what bidding drives an auction towards
  float bidRate;       // bids per simulated hour, before the end rush
  float bidSpread;     // how fast the price approaches the value
  float bidPhase;      // offsets the bid times, in [0, 1)
  int32_t shipping;    // cents; -1 when not specified
  ShipsTo shipsTo;
  uint8_t condition;  // 0 none, 1 new, 2 used
  uint8_t pictures;   // 0..5
  bool gallery;
  bool bestOffer;
  bool getItFast;
  bool gift;
  bool charity;
  bool lot;
  bool motorsSearchable;
  uint16_t quantity;
  uint32_t payments;  // PaymentBit mask
  std::string title;
  std::string subtitle;
  std::string slug;  // the title as an address part
};
