#include "Faults.h"

#include <cmath>

#include "TextUtil.h"

namespace {

std::vector<std::string> SplitOn(std::string_view text, char sep) {
  std::vector<std::string> out;
  size_t start = 0;
  while (true) {
    size_t pos = text.find(sep, start);
    out.push_back(TextUtil::Trim(
        text.substr(start, pos == std::string_view::npos ? std::string_view::npos : pos - start)));
    if (pos == std::string_view::npos) break;
    start = pos + 1;
  }
  return out;
}

}  // namespace

const char* FaultTable::Name(FaultKind kind) {
  switch (kind) {
    case FaultKind::Http500:
      return "http500";
    case FaultKind::Drop:
      return "drop";
    case FaultKind::BadXml:
      return "badxml";
    case FaultKind::Warning:
      return "warning";
    case FaultKind::TruncGzip:
      return "truncgzip";
    case FaultKind::Slow:
      return "slow";
    default:
      return "none";
  }
}

bool FaultTable::Set(std::string_view text, std::string& error) {
  std::vector<Rule> rules;
  std::string trimmed = TextUtil::Trim(text);
  if (trimmed.size() > 4096) {
    error = "fault rules too long";
    return false;
  }
  if (!trimmed.empty()) {
    for (const std::string& part : SplitOn(trimmed, ';')) {
      if (part.empty()) continue;
      size_t colon = part.find(':');
      if (colon == std::string::npos) {
        error = "missing ':' in \"" + part + "\"";
        return false;
      }
      Rule rule;
      rule.prefix = TextUtil::Trim(part.substr(0, colon));
      if (rule.prefix.empty()) {
        error = "empty path in \"" + part + "\"";
        return false;
      }
      if (rule.prefix[0] == '/') rule.prefix.erase(0, 1);
      for (const std::string& setting : SplitOn(part.substr(colon + 1), ',')) {
        size_t eq = setting.find('=');
        if (eq == std::string::npos) {
          error = "missing '=' in \"" + setting + "\"";
          return false;
        }
        std::string kind = TextUtil::Lower(TextUtil::Trim(setting.substr(0, eq)));
        std::string value = TextUtil::Trim(setting.substr(eq + 1));
        if (kind == "latency") {
          int64_t ms = 0;
          if (!TextUtil::ParseInt(value, ms) || ms < 0 || ms > 600000) {
            error = "latency must be 0 to 600000 ms: \"" + value + "\"";
            return false;
          }
          rule.latencyMs = static_cast<int>(ms);
          continue;
        }
        size_t k = 0;
        while (k < static_cast<size_t>(FaultKind::Count) && kind != Name(static_cast<FaultKind>(k)))
          ++k;
        if (k == static_cast<size_t>(FaultKind::Count)) {
          error = "unknown fault \"" + kind + "\"";
          return false;
        }
        double rate = 0;
        if (!TextUtil::ParseDecimal(value, rate) || rate < 0 || rate > 1) {
          error = "rate must be 0 to 1: \"" + value + "\"";
          return false;
        }
        rule.rates[k] = rate;
      }
      rules.push_back(rule);
    }
  }
  std::lock_guard<std::mutex> lock(mutex_);
  rules_ = std::move(rules);
  rulesText_ = trimmed;
  any_ = !rules_.empty();
  return true;
}

std::string FaultTable::Rules() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return rulesText_;
}

FaultDecision FaultTable::Decide(std::string_view path) {
  FaultDecision d;
  if (!any_.load() || path.substr(0, 8) == "sandbox/") return d;
  std::lock_guard<std::mutex> lock(mutex_);
  Rule* best = nullptr;
  size_t bestLength = 0;
  for (Rule& r : rules_) {
    bool wildcard = r.prefix == "*";
    if (!wildcard && path.substr(0, r.prefix.size()) != r.prefix) continue;
    size_t length = wildcard ? 0 : r.prefix.size();
    if (!best || length > bestLength) {
      best = &r;
      bestLength = length;
    }
  }
  if (!best) return d;
  d.latencyMs = best->latencyMs;
  for (size_t k = 0; k < static_cast<size_t>(FaultKind::Count); ++k) {
    double rate = best->rates[k];
    if (rate <= 0) continue;
    // The n-th request fires when the running total of the rate passes a
    // whole number: an even spread with exactly rate * n faults.
    uint64_t n = best->seen[k]++;
    bool fires = std::floor((n + 1) * rate + 1e-9) > std::floor(n * rate + 1e-9);
    if (fires && d.kind == FaultKind::None) {
      d.kind = static_cast<FaultKind>(k);
      ++fired_[k];
    }
  }
  return d;
}
