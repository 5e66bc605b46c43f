#pragma once

#include "core/shopping/BaseMultipleItemsRequest.h"

// The status of up to ten listings per call: price, bids, end state.
class TMultipleItemsStatusDataRequest : public TBaseMultipleItemsRequest {
 public:
  TMultipleItemsStatusDataRequest()
      : TBaseMultipleItemsRequest("GetItemStatus", "GetItemStatusRequest", 10) {}
};
