#include "Catalogue.h"

#include "ListingFactory.h"
#include "Random.h"
#include "TextUtil.h"

namespace {
constexpr uint64_t kIdBase = 100000000000ull;  // twelve digits
constexpr uint64_t kPerSite = 1000000000ull;
constexpr uint32_t kHalfBits = 14;  // the permutation works on 28 bits
constexpr uint32_t kHalfMask = (1u << kHalfBits) - 1;
}  // namespace

Catalogue::Catalogue(uint64_t seed, uint32_t itemsPerSite, const CategoryFile* categories)
    : seed_(seed), itemsPerSite_(itemsPerSite), categories_(categories) {}

const SiteCatalogue& Catalogue::Site(int siteIndex) {
  size_t i = static_cast<size_t>(siteIndex);
  std::call_once(once_[i], [&] {
    const CategoryTree* tree = categories_ ? categories_->Site(SiteTable::Sites()[i].id) : nullptr;
    sites_[i] = ListingFactory::Build(seed_, siteIndex, itemsPerSite_, tree);
    ++generated_;
  });
  return *sites_[i];
}

// A four-round Feistel network: a bijection on [0, 2^28) keyed by the seed.
uint32_t Catalogue::Permute(uint32_t x, bool inverse) const {
  uint32_t left = x >> kHalfBits, right = x & kHalfMask;
  for (int round = 0; round < 4; ++round) {
    int k = inverse ? 3 - round : round;
    if (!inverse) {
      uint32_t f =
          static_cast<uint32_t>(Rnd::Hash({seed_, static_cast<uint64_t>(k), right})) & kHalfMask;
      uint32_t next = left ^ f;
      left = right;
      right = next;
    } else {
      uint32_t f =
          static_cast<uint32_t>(Rnd::Hash({seed_, static_cast<uint64_t>(k), left})) & kHalfMask;
      uint32_t prev = right ^ f;
      right = left;
      left = prev;
    }
  }
  return (left << kHalfBits) | right;
}

std::string Catalogue::ItemId(int siteIndex, uint32_t index) const {
  uint64_t id = kIdBase + static_cast<uint64_t>(siteIndex + 10) * kPerSite + Permute(index, false);
  return std::to_string(id);
}

bool Catalogue::Locate(std::string_view itemId, int& siteIndex, uint32_t& index) const {
  int64_t value = 0;
  if (itemId.size() != 12 || !TextUtil::ParseInt(itemId, value) || value < 0) return false;
  uint64_t v = static_cast<uint64_t>(value);
  if (v < kIdBase) return false;
  uint64_t rest = v - kIdBase;
  uint64_t site = rest / kPerSite;
  uint64_t permuted = rest % kPerSite;
  if (site < 10 || site >= 10 + SiteTable::Sites().size() || permuted >= (1u << (2 * kHalfBits))) {
    return false;
  }
  uint32_t i = Permute(static_cast<uint32_t>(permuted), true);
  if (i >= itemsPerSite_) return false;
  siteIndex = static_cast<int>(site - 10);
  index = i;
  return true;
}

const Listing* Catalogue::Find(std::string_view itemId, const SiteCatalogue** site) {
  int s = 0;
  uint32_t i = 0;
  if (!Locate(itemId, s, i)) return nullptr;
  const SiteCatalogue& cat = Site(s);
  if (site) *site = &cat;
  return &cat.listings[i];
}
