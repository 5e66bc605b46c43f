#pragma once

#include "core/shopping/BaseIncludeSelector.h"

// What a GetSingleItem call may ask for besides the basic listing.
class TGetSingleItemIncludeSelector : public TBaseIncludeSelector {
 public:
  TGetSingleItemIncludeSelector()
      : TBaseIncludeSelector({QStringLiteral("Description"), QStringLiteral("Details"),
                              QStringLiteral("ItemSpecifics"), QStringLiteral("ShippingCosts")}) {}
};
