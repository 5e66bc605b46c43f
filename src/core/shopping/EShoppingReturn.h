#pragma once

#include "core/shopping/EShopping.h"

// An answer whose "Ack" is not "Success". The message is eBay's short message;
// the long message and the error code come with it. Only its descendants are raised.
class EShoppingReturn : public EShopping {
 public:
  EShoppingReturn(QString message, QString longMessage, QByteArray errorCode)
      : EShopping(std::move(message)),
        LongMessage(std::move(longMessage)),
        ErrorCode(std::move(errorCode)) {}
  const char* ClassName() const override { return "EShoppingReturn"; }

  QString LongMessage;
  QByteArray ErrorCode;
};
