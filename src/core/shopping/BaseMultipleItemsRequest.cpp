#include "core/shopping/BaseMultipleItemsRequest.h"

#include "core/net/HTTPThreadManager.h"
#include "core/shopping/MSXMLTools.h"

TBaseMultipleItemsRequest::TBaseMultipleItemsRequest(const char* callName, const char* rootName,
                                                     int batchSize)
    : BatchSize(batchSize), FCallName(callName), FRootName(rootName) {}

TBaseMultipleItemsRequest::~TBaseMultipleItemsRequest() {
  if (FRegistered) HTTPThreadManager().UnregisterOwner(this);
}

void TBaseMultipleItemsRequest::EnsureRegistered() {
  // Registered with the first call rather than at construction, so listings
  // can be parsed (and tested) without a scheduler.
  if (FRegistered) return;
  FRegistered = true;
  HTTPThreadManager().RegisterOwner(
      this,
      [this](THTTPThreadManager::TOwner) {
        if (OnFinished) OnFinished(this);
      },
      [this](THTTPThreadManager&, int percent) {
        if (OnProgress) OnProgress(this, percent);
      });
}

void TBaseMultipleItemsRequest::AddItemID(const QByteArray& itemID) {
  ItemIDs.append(itemID);
  if (ItemIDs.size() >= BatchSize) Flush();
}

void TBaseMultipleItemsRequest::Flush() {
  const qsizetype batch = qMax(1, BatchSize);
  if (!ItemIDs.isEmpty()) EnsureRegistered();
  while (!ItemIDs.isEmpty()) {
    SendCall(RequestXML(), QString(), 1);
    ItemIDs.remove(0, qMin(batch, ItemIDs.size()));
  }
  if (OnStarted && FRegistered && HTTPThreadManager().CountForOwner(this) > 0) OnStarted(this);
}

void TBaseMultipleItemsRequest::BuildRequest(std::unique_ptr<TXMLDocument>& document) {
  TBaseRequest::BuildRequest(document);
  TXMLNode root = AppendRoot(*document, FRootName);
  const qsizetype count = qMin(qsizetype(qMax(1, BatchSize)), ItemIDs.size());
  for (qsizetype i = 0; i < count; ++i)
    root.AppendElement("ItemID", QString::fromUtf8(ItemIDs[i]));
}

QStringList TBaseMultipleItemsRequest::GetHeaders() const {
  QStringList lines = TBaseRequest::GetHeaders();
  lines << QStringLiteral("X-EBAY-API-CALL-NAME=") + QLatin1String(FCallName);
  return lines;
}

void TBaseMultipleItemsRequest::ParseResponse(const TResponseText& response,
                                              std::unique_ptr<TXMLDocument>& document) {
  TBaseRequest::ParseResponse(response, document);
  for (const TXMLNode& item : document->SelectNodes("//ebay:Item")) {
    const TXMLNode id = item.SelectSingleNode("./ebay:ItemID");
    if (!id || !OnItem) continue;
    try {
      OnItem(this, id.Text().toUtf8(), item);
    } catch (const EShopping& error) {
      if (OnError) OnError(this, error);
    }
  }
}
