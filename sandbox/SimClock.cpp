#include "SimClock.h"

#include <cmath>

SimClock::SimClock(int64_t originMs, double speed)
    : originMs_(originMs), speed_(speed), start_(std::chrono::steady_clock::now()) {}

int64_t SimClock::NowMs() const {
  auto real = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_);
  return originMs_ + offsetMs_.load() + static_cast<int64_t>(std::floor(real.count() * speed_));
}

int64_t SimClock::WallNowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}
