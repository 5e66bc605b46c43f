#pragma once

#include "core/shopping/EShoppingReturn.h"

// "Ack" is "Failure".
class EShoppingReturnError : public EShoppingReturn {
 public:
  using EShoppingReturn::EShoppingReturn;
  const char* ClassName() const override { return "EShoppingReturnError"; }
};
