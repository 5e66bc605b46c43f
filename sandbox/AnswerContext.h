#pragma once

#include <cstdint>
#include <string>

#include "SiteTable.h"

// What every Shopping API answer is written against: the moment, the
// requested site (its currency converts prices) and the sandbox's address.
struct AnswerContext {
  uint64_t seed = 0;
  int64_t nowMs = 0;
  int64_t originMs = 0;
  const SiteInfo* site = nullptr;
  std::string base;  // "http://host:port/"

  double NowSeconds() const { return static_cast<double>(nowMs - originMs) / 1000.0; }
};
