#include "core/shopping/BaseSearchRequest.h"

#include <optional>

#include "core/shopping/AdvancedSearchRequest.h"
#include "core/shopping/CategorySearchRequest.h"
#include "core/shopping/EShoppingEmptyResult.h"
#include "core/shopping/MSXMLTools.h"
#include "core/shopping/SellerSearchRequest.h"
#include "core/shopping/ShoppingEnumTypeConverter.h"
#include "core/shopping/SimpleItem.h"
#include "core/shopping/SimpleItemList.h"

TBaseSearchRequest::TBaseSearchRequest() = default;

TBaseSearchRequest::~TBaseSearchRequest() = default;

void TBaseSearchRequest::BuildRequest(std::unique_ptr<TXMLDocument>& document) {
  TBaseRequest::BuildRequest(document);
  TXMLNode root = AppendRoot(*document, "FindItemsAdvancedRequest");
  if (ItemSort != TItemSort::NotSet) {
    root.AppendElement("ItemSort", TShoppingEnumTypeConverter::ToText(ItemSort));
    if (SortOrder != TSortOrder::NotSet)
      root.AppendElement("SortOrder", TShoppingEnumTypeConverter::ToText(SortOrder));
  }
  if (PageNumber > 1) root.AppendElement("PageNumber", QString::number(PageNumber));
  if (MaxEntries != 20) root.AppendElement("MaxEntries", QString::number(MaxEntries));
  if (IncludeSelector.Count() > 0) root.AppendElement("IncludeSelector", IncludeSelector.Text());
}

QStringList TBaseSearchRequest::GetHeaders() const {
  QStringList lines = TBaseRequest::GetHeaders();
  lines << QStringLiteral("X-EBAY-API-CALL-NAME=FindItemsAdvanced");
  return lines;
}

void TBaseSearchRequest::Reset() {
  TBaseRequest::Reset();
  ItemSort = TItemSort::NotSet;
  SortOrder = TSortOrder::NotSet;
  PageNumber = 1;
  MaxEntries = 20;
  IncludeSelector.Clear();
}

std::unique_ptr<TXMLDocument> TBaseSearchRequest::SaveData() const {
  std::unique_ptr<TXMLDocument> document = NewXPathDocument();
  TXMLNode root = document->CreateElement("Data");
  document->SetDocumentElement(root);
  root.SetAttribute("Type", QStringLiteral("TBaseSearchRequest"));
  root.AppendElement("SiteID", QString::number(SiteID));
  return document;
}

void TBaseSearchRequest::LoadData(TXMLNode data) {
  Reset();
  if (const TXMLNode site = data.SelectSingleNode("./SiteID")) {
    bool ok = false;
    const int value = site.Text().trimmed().toInt(&ok);
    if (!ok)
      throw EShopping(
          QStringLiteral("'%1' ist kein gültiger Integerwert (SiteID).").arg(site.Text().left(40)));
    SiteID = value;
  }
}

std::unique_ptr<TBaseSearchRequest> TBaseSearchRequest::CreateFromData(TXMLNode data) {
  const QString type = data.Attribute("Type");
  std::unique_ptr<TBaseSearchRequest> request;
  if (type == QLatin1String("TAdvancedSearchRequest"))
    request = std::make_unique<TAdvancedSearchRequest>();
  else if (type == QLatin1String("TCategorySearchRequest"))
    request = std::make_unique<TCategorySearchRequest>();
  else if (type == QLatin1String("TSellerSearchRequest"))
    request = std::make_unique<TSellerSearchRequest>();
  else if (type == QLatin1String("TBaseSearchRequest"))
    request = std::make_unique<TBaseSearchRequest>();
  if (request) request->LoadData(data);
  return request;
}

void TBaseSearchRequest::ParseSearchResult(const TResponseText& response, TSimpleItemList& list,
                                           std::unique_ptr<TXMLDocument>& document,
                                           const TItemErrorHandler& onItemError) {
  ParseResponse(response, document);
  const TXMLNode result = document->SelectSingleNode("//ebay:SearchResult");
  if (!result) {
    document.reset();
    throw EShoppingEmptyResult(
        QStringLiteral("Keine Artikel gefunden. SearchResult-Knoten nicht vorhanden."));
  }
  const TXMLNode array = result.SelectSingleNode("./ebay:ItemArray");
  if (!array) {
    document.reset();
    throw EShopping(QStringLiteral("Der ItemArray-Knoten wurde nicht gefunden."));
  }
  const int page = GetNodeInt(document->DocumentElement(), "//ebay:PageNumber", 0);

  std::optional<EShopping> firstError;
  int position = 0;
  for (TXMLNode child = array.FirstChildElement(); child; child = child.NextSiblingElement()) {
    ++position;
    auto item = std::make_unique<TSimpleItem>(&list);
    try {
      item->LoadFromNode(child);
    } catch (const EShopping& error) {
      if (onItemError)
        onItemError(error);
      else if (!firstError)
        firstError.emplace(error);
      continue;
    }
    item->PagePosition = position;
    item->PageNumber = page;
    list.Add(item.release());
  }
  if (firstError) {
    document.reset();
    throw *firstError;
  }
}
