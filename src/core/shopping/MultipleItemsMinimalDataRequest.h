#pragma once

#include "core/shopping/BaseMultipleItemsRequest.h"

// The basic data of up to ten listings per call: price, bids, end, pictures.
class TMultipleItemsMinimalDataRequest : public TBaseMultipleItemsRequest {
 public:
  TMultipleItemsMinimalDataRequest()
      : TBaseMultipleItemsRequest("GetMultipleItems", "GetMultipleItemsRequest", 10) {}
};
