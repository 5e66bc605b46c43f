#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "CategoryFile.h"
#include "SiteCatalogue.h"

// All 25 sites' catalogues. A site is generated on first use (so start-up
// stays fast even with large catalogues) and never changes afterwards.
class Catalogue {
 public:
  Catalogue(uint64_t seed, uint32_t itemsPerSite, const CategoryFile* categories);

  uint64_t Seed() const { return seed_; }
  uint32_t ItemsPerSite() const { return itemsPerSite_; }
  const SiteCatalogue& Site(int siteIndex);
  int SitesGenerated() const { return generated_.load(); }

  // Item numbers are twelve digits: the site and a keyed permutation of the
  // listing's number, so they look scattered but map back without a table.
  std::string ItemId(int siteIndex, uint32_t index) const;
  bool Locate(std::string_view itemId, int& siteIndex, uint32_t& index) const;
  // The listing with that number and its site, or nullptr.
  const Listing* Find(std::string_view itemId, const SiteCatalogue** site);

 private:
  uint32_t Permute(uint32_t x, bool inverse) const;

  uint64_t seed_;
  uint32_t itemsPerSite_;
  const CategoryFile* categories_;
  std::array<std::once_flag, 25> once_;
  std::array<std::unique_ptr<SiteCatalogue>, 25> sites_;
  std::atomic<int> generated_{0};
};
