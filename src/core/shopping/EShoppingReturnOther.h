#pragma once

#include "core/shopping/EShoppingReturn.h"

// "Ack" is any other text but "Success".
class EShoppingReturnOther : public EShoppingReturn {
 public:
  using EShoppingReturn::EShoppingReturn;
  const char* ClassName() const override { return "EShoppingReturnOther"; }
};
