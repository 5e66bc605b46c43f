#pragma once

#include <functional>
#include <memory>

#include "core/shopping/BaseRequest.h"
#include "core/shopping/FindItemsAdvancedIncludeSelector.h"
#include "core/shopping/ShoppingEnums.h"

class TSimpleItemList;

// A FindItemsAdvanced search: sorting, paging and the include selector. Each
// search class writes its fields twice: as the call's document and as the small
// "Data" document in which search actions keep a search.
class TBaseSearchRequest : public TBaseRequest {
 public:
  // Raised for a listing of a result page that cannot be read; the page goes on.
  using TItemErrorHandler = std::function<void(const EShopping& error)>;

  TBaseSearchRequest();
  ~TBaseSearchRequest() override;

  TItemSort ItemSort = TItemSort::NotSet;
  TSortOrder SortOrder = TSortOrder::NotSet;  // only sent together with ItemSort
  qint32 PageNumber = 1;
  quint8 MaxEntries = 20;  // listings per page
  TFindItemsAdvancedIncludeSelector IncludeSelector;

  void BuildRequest(std::unique_ptr<TXMLDocument>& document) override;
  QStringList GetHeaders() const override;
  void Reset() override;
  // A new storage document: <Data Type="..."><SiteID>..</SiteID>...</Data>.
  virtual std::unique_ptr<TXMLDocument> SaveData() const;
  // Resets, then reads the fields of a "Data" element. A "SiteID" that is not
  // an integer raises EShopping.
  virtual void LoadData(TXMLNode data);
  // The class name written as the "Type" of the storage document.
  virtual const char* ClassName() const { return "TBaseSearchRequest"; }

  // The search class named by a "Data" element's Type, loaded from it; none
  // for an unknown type. Raises like LoadData.
  static std::unique_ptr<TBaseSearchRequest> CreateFromData(TXMLNode data);

  // Parses one FindItemsAdvanced answer into listings appended to list. Raises
  // the acknowledgement errors, EShoppingEmptyResult without "SearchResult",
  // EShopping without "ItemArray" (document is none then). A listing that cannot
  // be read is skipped and handed to onItemError (raised after the page when
  // there is no handler), so one bad listing does not cost the rest of the page.
  void ParseSearchResult(const TResponseText& response, TSimpleItemList& list,
                         std::unique_ptr<TXMLDocument>& document,
                         const TItemErrorHandler& onItemError = nullptr);
};
