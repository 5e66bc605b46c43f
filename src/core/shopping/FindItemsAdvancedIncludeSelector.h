#pragma once

#include "core/shopping/BaseIncludeSelector.h"

// What a search may ask for besides the listings.
class TFindItemsAdvancedIncludeSelector : public TBaseIncludeSelector {
 public:
  TFindItemsAdvancedIncludeSelector()
      : TBaseIncludeSelector({QStringLiteral("CategoryHistogram"), QStringLiteral("Details"),
                              QStringLiteral("ExpansionItemCount"), QStringLiteral("ItemSpecifics"),
                              QStringLiteral("SearchDetails"), QStringLiteral("SellerInfo")}) {}
};
