#pragma once

#include <QByteArray>
#include <QString>

#include "core/shopping/CategorySearchRequest.h"
#include "core/shopping/Money.h"

// A keyword search with every filter, within an optional category.
class TAdvancedSearchRequest : public TCategorySearchRequest {
 public:
  qint32 BidCountMin = -1;  // -1: not set
  qint32 BidCountMax = -1;
  bool DescriptionSearch = false;
  QByteArray ItemsAvailableTo;  // country the listing must ship to
  QByteArray ItemsLocatedIn;    // country the listing must be in
  TItemType ItemType = TItemType::NotSet;
  qint32 MaxDistance = -1;  // radius around PostalCode, -1: not set
  QByteArray PostalCode;
  TMoney PriceMin = -1;  // -1: not set
  TMoney PriceMax = -1;
  QString QueryKeywords;
  TSearchFlags SearchFlags = 0;  // bit n: the flag with ordinal n
  TSellerBusinessType SellerBusinessType = TSellerBusinessType::NotSet;

  bool HasSearchFlag(TSearchFlag flag) const { return (SearchFlags >> int(flag)) & 1u; }
  void IncludeSearchFlag(TSearchFlag flag) { SearchFlags |= TSearchFlags(1u << int(flag)); }

  void BuildRequest(std::unique_ptr<TXMLDocument>& document) override;
  void Reset() override;
  std::unique_ptr<TXMLDocument> SaveData() const override;
  void LoadData(TXMLNode data) override;
  const char* ClassName() const override { return "TAdvancedSearchRequest"; }

 private:
  QString PriceText(TMoney price) const;
};
