#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

// Everything the sandbox invents comes from these hashes, never from a shared
// generator: a listing, a bid or a picture is a pure function of the seed and
// its own coordinates, so answers do not depend on which request came first.
namespace Rnd {

inline uint64_t Mix(uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

inline uint64_t Hash(std::initializer_list<uint64_t> parts) {
  uint64_t h = 0x5A17B0C5ull;
  for (uint64_t p : parts)
    h = Mix(h ^ Mix(p));
  return h;
}

inline uint64_t HashText(const std::string& text) {
  uint64_t h = 1469598103934665603ull;  // FNV-1a, then mixed
  for (unsigned char c : text) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return Mix(h);
}

// A uniform number in [0, 1) from a hash.
inline double Unit(uint64_t h) {
  return static_cast<double>(h >> 11) * (1.0 / 9007199254740992.0);
}

// A small sequential generator for one listing; seeded from a hash.
class Stream {
 public:
  explicit Stream(uint64_t seed) : state_(seed) {}
  uint64_t Next() { return Mix(state_ += 0x632BE59BD9B4E019ull); }
  double Uniform() { return Unit(Next()); }
  // In [0, n); n > 0.
  uint32_t Below(uint32_t n) { return static_cast<uint32_t>(Next() % n); }
  int Range(int lo, int hi) {
    return lo + static_cast<int>(Below(static_cast<uint32_t>(hi - lo + 1)));
  }
  bool Chance(double p) { return Uniform() < p; }
  template <typename T, size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(N)];
  }

 private:
  uint64_t state_;
};

}  // namespace Rnd
