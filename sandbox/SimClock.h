#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

// The sandbox's own clock: it starts at an origin (the wall clock at start-up
// unless given) and runs `speed` times as fast as real time. Listings, bids
// and endings are all defined against it, so a fast clock lets a test watch
// auctions end within seconds. Speed 0 freezes it.
class SimClock {
 public:
  SimClock(int64_t originMs, double speed);

  int64_t OriginMs() const { return originMs_; }
  double Speed() const { return speed_; }
  int64_t NowMs() const;
  // Simulated seconds since the origin.
  double ElapsedSeconds() const { return static_cast<double>(NowMs() - originMs_) / 1000.0; }
  // Moves the clock forward (tests use it instead of waiting).
  void Advance(int64_t ms) { offsetMs_ += ms; }

  static int64_t WallNowMs();

 private:
  int64_t originMs_;
  double speed_;
  std::chrono::steady_clock::time_point start_;
  std::atomic<int64_t> offsetMs_{0};
};
