#pragma once

#include <QString>

#include "core/shopping/ShoppingEnums.h"

// Currency symbols and the currency each eBay site trades in.
class TCurrency {
 public:
  // The symbol shown beside an amount; empty for PHP (eBay has none) and for "not set".
  static QString CurrencySymbol(TCurrencyCode code);
  // The site's currency; NotSet for sites without a fixed one (Taiwan, Canada French, China).
  static TCurrencyCode SiteCurrency(int siteID);
};
