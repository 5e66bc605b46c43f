#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

// Faults the sandbox can be told to produce, for testing how the client copes.
enum class FaultKind : uint8_t {
  Http500,
  Drop,
  BadXml,
  Warning,
  TruncGzip,
  Slow,
  Count,
  None = Count
};

struct FaultDecision {
  int latencyMs = 0;
  FaultKind kind = FaultKind::None;
};

// Faults per path prefix, from rules "PATH:KIND=VALUE[,KIND=VALUE...][;PATH:...]".
// PATH is a prefix of the request path without its leading slash, or "*" for
// every path; the longest matching prefix wins. KIND is "latency"
// (milliseconds) or one of http500, drop, badxml, warning, truncgzip, slow
// with a rate from 0 to 1. A rate fires on an even spread of requests
// (0.5: every second one, 1: all), so tests need no luck.
class FaultTable {
 public:
  // Replaces every rule; empty rules clear them. False (rules unchanged)
  // with a message when the rules do not parse.
  bool Set(std::string_view text, std::string& error);
  std::string Rules() const;

  // Decides for one request; the sandbox's own control paths are exempt.
  FaultDecision Decide(std::string_view path);

  uint64_t Fired(FaultKind kind) const { return fired_[static_cast<size_t>(kind)].load(); }
  static const char* Name(FaultKind kind);

 private:
  struct Rule {
    std::string prefix;
    int latencyMs = 0;
    std::array<double, static_cast<size_t>(FaultKind::Count)> rates{};
    std::array<uint64_t, static_cast<size_t>(FaultKind::Count)> seen{};
  };

  mutable std::mutex mutex_;
  std::vector<Rule> rules_;
  std::string rulesText_;
  std::atomic<bool> any_{false};
  std::array<std::atomic<uint64_t>, static_cast<size_t>(FaultKind::Count)> fired_{};
};
