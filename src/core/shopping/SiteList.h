#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "core/shopping/Site.h"

// The 25 eBay sites in the order of the site menu. One process-wide instance
// (SiteList()); listings point into it, so it never changes once built.
class TSiteList {
 public:
  TSiteList();

  int Count() const { return int(FItems.size()); }
  TSite* Items(int index) const;
  // The first site whose Name, then Code, equals the text exactly. An empty
  // text finds eBay Motors, whose code is empty.
  TSite* FindByName(const QString& text) const;
  TSite* FindBySiteID(int siteID) const;
  int IndexOfSiteID(int siteID) const;

 private:
  std::vector<std::unique_ptr<TSite>> FItems;
};

TSiteList& SiteList();
