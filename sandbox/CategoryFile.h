#pragma once

#include <map>
#include <memory>
#include <string>

#include "CategoryTree.h"

// The category trees of a Categories.xml (root element, one "Site" per site
// with its "ID", nested "Category" elements with "ID" and "Name", given as
// attributes or as child elements).
class CategoryFile {
 public:
  // Reads the file; false (and an error text) when it cannot be used at all.
  bool Load(const std::string& path, std::string& error);

  // The site's tree, or nullptr when the file has none for it.
  const CategoryTree* Site(int siteId) const;
  size_t SiteCount() const { return sites_.size(); }

 private:
  std::map<int, std::unique_ptr<CategoryTree>> sites_;
};
