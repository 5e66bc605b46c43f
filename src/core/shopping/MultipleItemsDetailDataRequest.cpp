#include "core/shopping/MultipleItemsDetailDataRequest.h"

TMultipleItemsDetailDataRequest::TMultipleItemsDetailDataRequest()
    : TBaseMultipleItemsRequest("GetSingleItem", "GetSingleItemRequest", 1) {}

void TMultipleItemsDetailDataRequest::BuildRequest(std::unique_ptr<TXMLDocument>& document) {
  TBaseMultipleItemsRequest::BuildRequest(document);
  if (IncludeSelector.Count() == 0) return;
  TXMLNode root = document->DocumentElement();
  if (!root) {
    document.reset();
    return;
  }
  root.AppendElement("IncludeSelector", IncludeSelector.Text());
}
