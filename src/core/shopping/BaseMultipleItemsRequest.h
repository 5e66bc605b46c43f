#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <functional>

#include "core/shopping/BaseRequest.h"

// Item calls that take a list of item numbers: numbers are queued and sent in
// batches of BatchSize, each "Item" of an answer is handed to OnItem. The
// request is its own owner in the scheduler, so it hears when all its calls
// are done.
class TBaseMultipleItemsRequest : public TBaseRequest {
 public:
  using TItemHandler = std::function<void(TBaseMultipleItemsRequest* sender,
                                          const QByteArray& itemID, TXMLNode item)>;
  using TNotifyHandler = std::function<void(TBaseMultipleItemsRequest* sender)>;
  using TProgressHandler = std::function<void(TBaseMultipleItemsRequest* sender, int percent)>;

  TBaseMultipleItemsRequest(const char* callName, const char* rootName, int batchSize);
  ~TBaseMultipleItemsRequest() override;

  QByteArrayList ItemIDs;  // numbers not yet sent, in order
  TItemHandler OnItem;
  TNotifyHandler OnStarted;     // Flush queued calls
  TProgressHandler OnProgress;  // the scheduler's percentage, unchanged
  TNotifyHandler OnFinished;    // all calls of this request are done
  qint32 BatchSize;

  // Queues a number; a full batch is sent at once.
  void AddItemID(const QByteArray& itemID);
  // Sends everything queued, BatchSize numbers per call.
  void Flush();

  void BuildRequest(std::unique_ptr<TXMLDocument>& document) override;
  QStringList GetHeaders() const override;
  // Checks the acknowledgement, then raises OnItem for every "Item" with an
  // "ItemID", in document order. A listing that cannot be read goes to OnError
  // and the others still arrive.
  void ParseResponse(const TResponseText& response,
                     std::unique_ptr<TXMLDocument>& document) override;

  const char* CallName() const { return FCallName; }

 private:
  void EnsureRegistered();

  const char* FCallName;
  const char* FRootName;
  bool FRegistered = false;
};
