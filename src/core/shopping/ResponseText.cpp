#include "core/shopping/ResponseText.h"

#include "core/shopping/BaseRequest.h"

TResponseText::TResponseText(const QString& text)
    : FUtf8(text.toUtf8()), FText(text), FHasText(true) {}

TResponseText TResponseText::FromBody(const QByteArray& body) {
  TResponseText response;
  response.FUtf8 = body.isValidUtf8() ? body : QString::fromUtf8(body).toUtf8();
  return response;
}

const QString& TResponseText::Text() const {
  if (!FHasText) {
    FText = TBaseRequest::DecodeResponse(FUtf8);
    FHasText = true;
  }
  return FText;
}
