#pragma once

#include <cstdint>
#include <memory>

#include "CategoryTree.h"
#include "SiteCatalogue.h"

// Invents one site's catalogue from the seed: sellers, bidders and listings,
// each a pure function of (seed, site, number), so the same seed always gives
// the same catalogue whatever order sites are first asked for.
class ListingFactory {
 public:
  // fileTree: the site's tree from Categories.xml, or nullptr for the
  // built-in one.
  static std::unique_ptr<SiteCatalogue> Build(uint64_t seed, int siteIndex, uint32_t count,
                                              const CategoryTree* fileTree);
};
