#include "AuctionModel.h"

#include <algorithm>
#include <cmath>

#include "Random.h"

namespace {
constexpr double kRush = 8.0;  // the last hour brings up to nine times the bids
constexpr double kRushHours = 1.0;
}  // namespace

int AuctionModel::BidsAt(const Listing& l, double nowSec) {
  if (l.format != ListingFormat::Chinese || l.bidRate <= 0) return 0;
  double t = std::min(nowSec, static_cast<double>(l.endSec));
  if (t <= l.startSec) return 0;
  double sinceStart = (t - l.startSec) / 3600.0;
  double toEnd = (l.endSec - t) / 3600.0;
  double total = (static_cast<double>(l.endSec) - l.startSec) / 3600.0;
  double expected =
      l.bidRate *
      (sinceStart +
       kRush * kRushHours * (std::exp(-toEnd / kRushHours) - std::exp(-total / kRushHours)));
  return static_cast<int>(std::floor(expected + l.bidPhase));
}

int64_t AuctionModel::PriceAfter(const Listing& l, int bids) {
  if (bids <= 0) return l.startPrice;
  double gap = static_cast<double>(std::max<int64_t>(l.value - l.startPrice, 0));
  auto raw = [&](int n) {
    double climb = gap * (1.0 - std::exp(-n / static_cast<double>(l.bidSpread)));
    return l.startPrice + static_cast<int64_t>(climb) + n;
  };
  // Round to ten cents where that still leaves the price above the previous
  // bid's, so every bid raises it.
  int64_t price = raw(bids);
  int64_t rounded = price / 10 * 10;
  return rounded > raw(bids - 1) ? rounded : price;
}

ListingState AuctionModel::StateAt(uint64_t seed, const Listing& l, double nowSec,
                                   uint32_t bidderCount) {
  ListingState s;
  s.bidCount = BidsAt(l, nowSec);
  s.currentPrice = PriceAfter(l, s.bidCount);
  if (s.bidCount > 0 && bidderCount > 0) {
    uint64_t h = Rnd::Hash(
        {seed, static_cast<uint64_t>(l.site), l.index, static_cast<uint64_t>(s.bidCount)});
    s.highBidder = static_cast<int>(h % bidderCount);
    s.highBidderAnonymised = ((h >> 32) % 4) == 0;
  }
  double left = l.endSec - nowSec;
  s.secondsLeft = left > 0 ? static_cast<int64_t>(std::floor(left)) : 0;
  if (left > 0) {
    s.status = ListingStatus::Active;
  } else {
    s.status = -left < kEndedSeconds ? ListingStatus::Ended : ListingStatus::Completed;
  }
  s.buyItNowAvailable = l.binPrice > 0 && s.bidCount == 0 && s.status == ListingStatus::Active;
  return s;
}
