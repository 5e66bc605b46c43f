#pragma once

#include "core/shopping/EShopping.h"

// A search answer without a "SearchResult": nothing was found.
class EShoppingEmptyResult : public EShopping {
 public:
  using EShopping::EShopping;
  const char* ClassName() const override { return "EShoppingEmptyResult"; }
};
