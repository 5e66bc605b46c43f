#pragma once

#include "core/shopping/BaseMultipleItemsRequest.h"
#include "core/shopping/GetSingleItemIncludeSelector.h"

// One listing per call with the optional parts of IncludeSelector
// (description, details, item specifics, shipping costs).
class TMultipleItemsDetailDataRequest : public TBaseMultipleItemsRequest {
 public:
  TMultipleItemsDetailDataRequest();

  TGetSingleItemIncludeSelector IncludeSelector;

  void BuildRequest(std::unique_ptr<TXMLDocument>& document) override;
};
