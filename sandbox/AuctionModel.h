#pragma once

#include <cstdint>

#include "Listing.h"

enum class ListingStatus : uint8_t { Active, Ended, Completed };

// The state of a listing at a moment of simulated time.
struct ListingState {
  int bidCount = 0;
  int64_t currentPrice = 0;  // cents, site currency
  int highBidder = -1;       // index into the site's bidders, -1 none
  bool highBidderAnonymised = false;
  bool buyItNowAvailable = false;
  ListingStatus status = ListingStatus::Active;
  int64_t secondsLeft = 0;
};

// Bids as a closed-form function of (seed, listing, time): the expected
// number of bids grows about one per simulated hour (scaled per listing) and
// much faster in the last hour; the count is that expectation plus a fixed
// per-listing phase, rounded down. The price climbs towards the listing's
// value, at least one cent per bid. Nothing depends on request order.
class AuctionModel {
 public:
  // nowSec: simulated seconds since the clock's origin.
  static ListingState StateAt(uint64_t seed, const Listing& listing, double nowSec,
                              uint32_t bidderCount);
  static int BidsAt(const Listing& listing, double nowSec);
  static int64_t PriceAfter(const Listing& listing, int bids);

  // After the end a listing is "Ended" for half an hour, then "Completed".
  static constexpr int kEndedSeconds = 1800;
};
