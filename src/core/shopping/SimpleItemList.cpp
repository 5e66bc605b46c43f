#include "core/shopping/SimpleItemList.h"

#include "core/net/HTTPThread.h"
#include "core/net/HTTPThreadManager.h"
#include "core/shopping/BaseSearchRequest.h"
#include "core/shopping/MSXMLTools.h"
#include "core/shopping/MultipleItemsMinimalDataRequest.h"
#include "core/shopping/ShoppingAPIAccess.h"
#include "core/shopping/SimpleItem.h"

namespace {

const QString kFirstCallTag = QStringLiteral("FirstCall");

}  // namespace

TSimpleItemList::TSimpleItemList(QObject* parent)
    : QObject(parent), FDetailsRequest(std::make_unique<TMultipleItemsMinimalDataRequest>()) {
  FDetailsRequest->OnItem = [this](TBaseMultipleItemsRequest*, const QByteArray& itemID,
                                   TXMLNode item) { ApplyItemNode(itemID, item); };
}

TSimpleItemList::~TSimpleItemList() {
  // Withdraw the search calls first: none of their handlers may run from here on.
  if (FRegistered) HTTPThreadManager().UnregisterOwner(this);
  FItemizeRequest.reset();
  FDetailsRequest.reset();
  FRetired.clear();
  FSearchRequest.reset();
  for (TSimpleItem* item : FItems)
    delete item;
  FItems.clear();
}

// --- the container ---

TSimpleItem* TSimpleItemList::Items(int index) const {
  return index >= 0 && index < Count() ? FItems[size_t(index)] : nullptr;
}

int TSimpleItemList::Add(TSimpleItem* item) {
  if (!item) return -1;
  // A listing in a list belongs to it, so it can refresh itself through it.
  if (!item->Owner) item->Owner = this;
  const int index = Count();
  FItems.push_back(item);
  if (!FIndexDirty && !FFirstIndex.contains(item->ItemID()))
    FFirstIndex.insert(item->ItemID(), index);
  if (OnItemAdded) OnItemAdded(this, index, item);
  if (FAutoFetchDetails && !item->ItemID().isEmpty() && !IsPending(item->ItemID()))
    FDetailsRequest->AddItemID(item->ItemID());
  return index;
}

int TSimpleItemList::IndexOf(const TSimpleItem* item) const {
  for (int i = 0; i < Count(); ++i)
    if (FItems[size_t(i)] == item) return i;
  return -1;
}

void TSimpleItemList::RebuildIndex() const {
  FFirstIndex.clear();
  FFirstIndex.reserve(Count());
  for (int i = 0; i < Count(); ++i) {
    const QByteArray& id = FItems[size_t(i)]->ItemID();
    if (!FFirstIndex.contains(id)) FFirstIndex.insert(id, i);
  }
  FIndexDirty = false;
}

int TSimpleItemList::IndexOfID(const QByteArray& itemID) const {
  if (FIndexDirty) RebuildIndex();
  const auto it = FFirstIndex.constFind(itemID);
  if (it == FFirstIndex.constEnd()) return -1;
  const int index = it.value();
  if (index < Count() && FItems[size_t(index)]->ItemID() == itemID) return index;
  // A listing of another list changed its number behind our back: look again.
  RebuildIndex();
  return FFirstIndex.value(itemID, -1);
}

TSimpleItem* TSimpleItemList::FindByID(const QByteArray& itemID) const {
  return Items(IndexOfID(itemID));
}

void TSimpleItemList::ItemIDChanged(TSimpleItem*) {
  FIndexDirty = true;
}

void TSimpleItemList::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  TSimpleItem* item = FItems[size_t(index)];
  FItems.erase(FItems.begin() + index);
  FIndexDirty = true;
  delete item;
}

TSimpleItem* TSimpleItemList::Extract(TSimpleItem* item) {
  const int index = IndexOf(item);
  if (index < 0) return nullptr;
  FItems.erase(FItems.begin() + index);
  FIndexDirty = true;
  return item;
}

void TSimpleItemList::Clear() {
  if (OnCleared) OnCleared(this);
  std::vector<TSimpleItem*> items;
  items.swap(FItems);
  FFirstIndex.clear();
  FIndexDirty = false;
  for (TSimpleItem* item : items)
    delete item;
}

void TSimpleItemList::ApplyItemNode(const QByteArray& itemID, TXMLNode node) {
  const int index = IndexOfID(itemID);
  if (index < 0) {
    auto item = std::make_unique<TSimpleItem>(this);
    item->LoadFromNode(node);
    Add(item.release());
    FPendingIDs.Remove(itemID);
    return;
  }
  TSimpleItem* item = FItems[size_t(index)];
  std::unique_ptr<TSimpleItem> before;
  if (OnItemChanged) {
    before = std::make_unique<TSimpleItem>();
    before->Assign(*item);
  }
  item->LoadFromNode(node);
  FPendingIDs.Remove(itemID);
  if (!before) return;

  if (before->PictureURLs.size() < item->PictureURLs.size())
    OnItemChanged(this, ickPictures, item, index);
  if (item->IsAuction()) {
    if (item->CurrentPrice != before->CurrentPrice || item->BidCount != before->BidCount)
      OnItemChanged(this, ickPrice, item, index);
  } else if (item->IsBuyItNow() && item->BuyItNowPrice != before->BuyItNowPrice) {
    OnItemChanged(this, ickPrice, item, index);
  }
  if (before->ListingStatus == TListingStatus::Active &&
      (item->ListingStatus == TListingStatus::Completed ||
       item->ListingStatus == TListingStatus::Ended))
    OnItemChanged(this, ickEnded, item, index);
}

// --- searching ---

void TSimpleItemList::EnsureRegistered() {
  if (FRegistered) return;
  FRegistered = true;
  HTTPThreadManager().RegisterOwner(
      this, [this](THTTPThreadManager::TOwner) { AllDone(); },
      [this](THTTPThreadManager&, int percent) {
        if (OnProgress) OnProgress(this, percent);
      });
}

void TSimpleItemList::AllDone() {
  // The numbers of the last, incomplete batch go out once the pages are in.
  FDetailsRequest->Flush();
  if (OnFinished) OnFinished(this);
}

void TSimpleItemList::SendSearchCall(const QString& tag) {
  EnsureRegistered();
  HTTPThreadManager().Enqueue(
      this, ShoppingAPIAccess().URL(), FSearchRequest->RequestXML(),
      [this](THTTPThreadManager&, THTTPThread& worker) {
        TBaseRequest::ApplyHeaders(FSearchRequest ? FSearchRequest->GetHeaders() : QStringList(),
                                   worker);
      },
      [this](THTTPThread& worker) { HandlePage(worker); }, tag, true, 2);
}

void TSimpleItemList::StartSearch(TBaseSearchRequest* request, int maxPages) {
  if (!request) return;
  if (request != FSearchRequest.get()) FSearchRequest.reset(request);
  FDetailsRequest->SiteID = request->SiteID;
  if (maxPages > 0) MaxPages = maxPages;
  SendSearchCall(kFirstCallTag);
  if (OnSearchStarted) OnSearchStarted(this);
}

void TSimpleItemList::RequestPages(int first, int count) {
  if (!FSearchRequest) return;
  if (count < 1) count = MaxPages;
  const qint64 last = qMin(qint64(count) - 1, qint64(TotalPages) - first);
  for (qint64 i = 0; i <= last; ++i) {
    FSearchRequest->PageNumber = first + int(i);
    SendSearchCall(QString::number(first + i));
  }
}

void TSimpleItemList::CancelAll() {
  THTTPThreadManager& scheduler = HTTPThreadManager();
  scheduler.CancelOwner(this);
  scheduler.CancelOwner(FDetailsRequest.get());
  if (FItemizeRequest) scheduler.CancelOwner(FItemizeRequest.get());
}

void TSimpleItemList::HandlePage(THTTPThread& worker) {
  if (!worker.Completed()) return;
  HandlePageData(worker.ResponseStream(), worker.Tag());
}

void TSimpleItemList::RaiseError(const EShopping& error) {
  if (OnError) OnError(this, error);
}

void TSimpleItemList::HandlePageData(const QByteArray& body, const QString& tag) {
  if (!FSearchRequest) return;
  const TResponseText response = TResponseText::FromBody(body);
  std::unique_ptr<TXMLDocument> document;
  try {
    FSearchRequest->ParseSearchResult(response, *this, document,
                                      [this](const EShopping& error) { RaiseError(error); });
    if (!document) return;
    if (tag != kFirstCallTag) {
      if (OnNextPage) OnNextPage(this, response, *document);
      return;
    }
    const TXMLNode root = document->DocumentElement();
    if (root.SelectSingleNode("//ebay:TotalPages"))
      TotalPages = GetNodeInt(root, "//ebay:TotalPages", 0);
    if (root.SelectSingleNode("//ebay:TotalItems"))
      TotalItems = GetNodeInt(root, "//ebay:TotalItems", 0);
    if (OnFirstPage) OnFirstPage(this, response, *document);
    if (MaxPages > 1 && TotalPages > 1) RequestPages(2, MaxPages - 1);
  } catch (const EShopping& error) {
    RaiseError(error);
  }
}

// --- details and itemize runs ---

void TSimpleItemList::SetAutoFetchDetails(bool value) {
  const bool switchedOn = value && !FAutoFetchDetails;
  FAutoFetchDetails = value;
  if (!switchedOn) return;
  for (TSimpleItem* item : FItems)
    if (!item->ItemID().isEmpty()) FDetailsRequest->AddItemID(item->ItemID());
}

void TSimpleItemList::ItemItemizeBegin(TBaseMultipleItemsRequest* request) {
  if (request) {
    if (FItemizeCount > 0 || FItemizeRequest) {
      delete request;  // a run is open: its target fetches these numbers too
    } else {
      FItemizeRequest.reset(request);
      FSavedItemizeFinished = request->OnFinished;
      request->OnFinished = [this](TBaseMultipleItemsRequest* r) { ItemizeFinished(r); };
      request->OnItem = [this](TBaseMultipleItemsRequest*, const QByteArray& itemID,
                               TXMLNode item) { ApplyItemNode(itemID, item); };
    }
  }
  ++FItemizeCount;
}

void TSimpleItemList::ItemItemize(const QByteArray& itemID) {
  if (FItemizeCount <= 0)
    throw EShopping(QStringLiteral(
        "Die Aufnahme von einzelnen Artikeln mittels der Artikelnummer ist nicht möglich, "
        "solange die Prozedur ItemItemizeBegin nicht ausgeführt wurde."));
  FPendingIDs.Add(itemID);
}

void TSimpleItemList::ItemItemizeEnd() {
  // An unmatched End must not open the door to ItemItemize outside a run.
  FItemizeCount = qMax(0, FItemizeCount - 1);
  if (FItemizeCount > 0 || FPendingIDs.IsEmpty()) return;
  TBaseMultipleItemsRequest* target =
      FItemizeRequest ? FItemizeRequest.get()
                      : static_cast<TBaseMultipleItemsRequest*>(FDetailsRequest.get());
  // Numbers stay pending until their listing arrives (ApplyItemNode removes them).
  for (const QByteArray& itemID : FPendingIDs.Values())
    target->AddItemID(itemID);
  target->Flush();
}

void TSimpleItemList::ItemizeFinished(TBaseMultipleItemsRequest* request) {
  const auto saved = FSavedItemizeFinished;
  if (saved) saved(request);
  if (request != FItemizeRequest.get()) return;
  // We are inside the scheduler's all-done call of this request: free it
  // once that call has returned.
  FSavedItemizeFinished = nullptr;
  FRetired.push_back(std::move(FItemizeRequest));
  QMetaObject::invokeMethod(
      this, [this] { FRetired.clear(); }, Qt::QueuedConnection);
}
