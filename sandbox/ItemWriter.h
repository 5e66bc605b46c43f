#pragma once

#include <cstdint>
#include <string>

#include "AuctionModel.h"
#include "SiteCatalogue.h"
#include "XmlWriter.h"

// Which parts of an "Item" element an answer carries.
enum ItemPart : uint32_t {
  kPartCore = 1u << 0,  // number, end, address, type, category, price, status, title
  kPartGallery = 1u << 1,
  kPartPictures = 1u << 2,
  kPartLocation = 1u << 3,  // Location, Country
  kPartDetails = 1u << 4,   // start, payment, postal code, current price, bidder, flags...
  kPartSeller = 1u << 5,
  kPartSpecifics = 1u << 6,
  kPartDescription = 1u << 7,
  kPartShipping = 1u << 8,        // ShippingCostSummary
  kPartShippingDetail = 1u << 9,  // ... with InsuranceCost
  kPartStatusOnly = 1u << 10,     // GetItemStatus: the fields that change
};

// Everything needed to write one listing at one moment.
struct ItemView {
  const SiteCatalogue* site;
  const Listing* listing;
  std::string itemId;
  ListingState state;
  const char* currency;     // the requested site's currency (converted prices)
  const std::string* base;  // the sandbox's address, ending in "/"
  int64_t originMs;
  double distance = -1;  // in the requested site's unit, -1 when not asked
  bool miles = false;
};

// Writes "Item" elements with the children in the order of eBay's schema
// (SimpleItemType), so element order matches what eBay sent.
class ItemWriter {
 public:
  static void Write(XmlWriter& xml, const ItemView& item, uint32_t parts);
  static const char* ListingType(ListingFormat format);
  static const char* RatingStar(int feedbackScore);
  static const char* StatusText(ListingStatus status);
};
