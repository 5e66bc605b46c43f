#pragma once

#include <QByteArray>

#include "core/shopping/BaseSearchRequest.h"

// A search within one category. The condition is kept with the search but only
// the advanced search sends it.
class TCategorySearchRequest : public TBaseSearchRequest {
 public:
  QByteArray CategoryID;
  TItemCondition Condition = TItemCondition::NotSet;

  void BuildRequest(std::unique_ptr<TXMLDocument>& document) override;
  void Reset() override;
  std::unique_ptr<TXMLDocument> SaveData() const override;
  void LoadData(TXMLNode data) override;
  const char* ClassName() const override { return "TCategorySearchRequest"; }
};
