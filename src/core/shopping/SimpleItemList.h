#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <functional>
#include <memory>
#include <vector>

#include "core/shopping/EShopping.h"
#include "core/shopping/PendingIDList.h"
#include "core/shopping/ResponseText.h"
#include "core/shopping/ShoppingEnums.h"
#include "core/shopping/XMLDocument.h"

class TSimpleItem;
class TBaseSearchRequest;
class TBaseMultipleItemsRequest;
class TMultipleItemsMinimalDataRequest;
class THTTPThread;

// The listings of one search tab (or the watch list) and the calls that fill
// them: the search with its pages, the GetMultipleItems refresh of every added
// listing, and itemize runs that fetch chosen item numbers. The list owns its
// listings and its requests. Events are plain callbacks; an empty one is skipped.
//
// Look-ups by item number find the first listing with that number, as a linear
// search would, but through a hash index, so refreshing n listings costs O(n).
class TSimpleItemList : public QObject {
  Q_OBJECT

 public:
  using TNotifyEvent = std::function<void(TSimpleItemList* sender)>;
  using TItemAddedEvent =
      std::function<void(TSimpleItemList* sender, int index, TSimpleItem* item)>;
  using TItemChangedEvent = std::function<void(TSimpleItemList* sender, TItemChangeKind kind,
                                               TSimpleItem* item, int index)>;
  using TPageEvent = std::function<void(TSimpleItemList* sender, const TResponseText& response,
                                        TXMLDocument& document)>;
  using TErrorEvent = std::function<void(TSimpleItemList* sender, const EShopping& error)>;
  using TProgressEvent = std::function<void(TSimpleItemList* sender, int percent)>;

  explicit TSimpleItemList(QObject* parent = nullptr);
  ~TSimpleItemList() override;

  TNotifyEvent OnCleared;           // by Clear, before the listings go
  TItemAddedEvent OnItemAdded;      // after a listing was added
  TItemChangedEvent OnItemChanged;  // a refresh changed pictures, price or end state
  TPageEvent OnFirstPage;           // the first page of a search was parsed
  TPageEvent OnNextPage;            // a further page was parsed
  TErrorEvent OnError;              // a page could not be used
  TNotifyEvent OnSearchStarted;     // the first page was queued
  TProgressEvent OnProgress;        // the scheduler's percentage of the list's calls
  TNotifyEvent OnFinished;          // all search calls of the list are done

  qint32 MaxPages = 0;    // pages per sequence
  qint32 TotalPages = 0;  // from the first page
  qint32 TotalItems = 0;  // from the first page

  // --- the container ---
  int Count() const { return int(FItems.size()); }
  TSimpleItem* Items(int index) const;
  // Appends (the list takes ownership), raises OnItemAdded, then queues the
  // number for a details refresh when AutoFetchDetails is on and it is not pending.
  int Add(TSimpleItem* item);
  int IndexOf(const TSimpleItem* item) const;
  // The index of the first listing with this number (exact), -1 if none.
  int IndexOfID(const QByteArray& itemID) const;
  TSimpleItem* FindByID(const QByteArray& itemID) const;
  // Removes and frees the listing at index.
  void Delete(int index);
  // Removes the listing without freeing it; the caller owns it now.
  TSimpleItem* Extract(TSimpleItem* item);
  // Raises OnCleared (also when empty), then frees every listing.
  void Clear();
  // The refresh entry point: updates the first listing with this number from
  // an "Item" element (raising change events), or adds a new one. A listing
  // that cannot be read raises EShopping; its number stays pending.
  void ApplyItemNode(const QByteArray& itemID, TXMLNode item);
  // Tells the index that a listing's number changed (TSimpleItem::SetItemID does).
  void ItemIDChanged(TSimpleItem* item);

  // --- searching ---
  TBaseSearchRequest* SearchRequest() const { return FSearchRequest.get(); }
  // Runs a search (the list owns the request from now on); maxPages > 0 sets MaxPages.
  void StartSearch(TBaseSearchRequest* request, int maxPages);
  // Queues pages first .. min(first + count - 1, TotalPages); count < 1 means MaxPages.
  void RequestPages(int first, int count);
  // Withdraws the calls of the list, its details request and its itemize request.
  void CancelAll();
  // The page handler: a finished search call.
  void HandlePage(THTTPThread& worker);
  // The same for a received body and the call's tag ("FirstCall" or the page number).
  void HandlePageData(const QByteArray& body, const QString& tag);

  // --- details and itemize runs ---
  TMultipleItemsMinimalDataRequest* DetailsRequest() const { return FDetailsRequest.get(); }
  bool AutoFetchDetails() const { return FAutoFetchDetails; }
  // Switching on queues every listing for a details refresh, in list order.
  void SetAutoFetchDetails(bool value);
  int ItemizeCount() const { return FItemizeCount; }
  TBaseMultipleItemsRequest* ItemizeRequest() const { return FItemizeRequest.get(); }
  const TPendingIDList& PendingIDs() const { return FPendingIDs; }
  bool IsPending(const QByteArray& itemID) const { return FPendingIDs.Contains(itemID); }
  // Opens an itemize run, optionally with the request that will fetch the
  // numbers (the list owns it from now on; it is freed when a run is already
  // open or a request is adopted). Runs nest.
  void ItemItemizeBegin(TBaseMultipleItemsRequest* request = nullptr);
  // Marks a number to fetch; EShopping outside a run.
  void ItemItemize(const QByteArray& itemID);
  // Closes a run; the outermost one sends the pending numbers.
  void ItemItemizeEnd();

 private:
  void SendSearchCall(const QString& tag);
  void EnsureRegistered();
  void AllDone();
  void ItemizeFinished(TBaseMultipleItemsRequest* request);
  void RebuildIndex() const;
  void RaiseError(const EShopping& error);

  std::vector<TSimpleItem*> FItems;  // owned
  mutable QHash<QByteArray, int> FFirstIndex;
  mutable bool FIndexDirty = false;

  std::unique_ptr<TBaseSearchRequest> FSearchRequest;
  std::unique_ptr<TMultipleItemsMinimalDataRequest> FDetailsRequest;
  std::unique_ptr<TBaseMultipleItemsRequest> FItemizeRequest;
  std::function<void(TBaseMultipleItemsRequest*)> FSavedItemizeFinished;
  // Requests that finished inside a scheduler callback wait here to be freed
  // after it has returned.
  std::vector<std::unique_ptr<TBaseMultipleItemsRequest>> FRetired;
  bool FAutoFetchDetails = true;
  int FItemizeCount = 0;
  TPendingIDList FPendingIDs;
  bool FRegistered = false;
};
