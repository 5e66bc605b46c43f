#pragma once

#include <QString>

#include "core/shopping/BaseSearchRequest.h"

// The listings of one seller.
class TSellerSearchRequest : public TBaseSearchRequest {
 public:
  QString SellerID;

  void BuildRequest(std::unique_ptr<TXMLDocument>& document) override;
  void Reset() override;
  std::unique_ptr<TXMLDocument> SaveData() const override;
  void LoadData(TXMLNode data) override;
  const char* ClassName() const override { return "TSellerSearchRequest"; }
};
