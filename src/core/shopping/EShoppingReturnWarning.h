#pragma once

#include "core/shopping/EShoppingReturn.h"

// "Ack" is "Warning": its results are not used either.
class EShoppingReturnWarning : public EShoppingReturn {
 public:
  using EShoppingReturn::EShoppingReturn;
  const char* ClassName() const override { return "EShoppingReturnWarning"; }
};
