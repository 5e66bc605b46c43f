#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "core/shopping/EShopping.h"
#include "core/shopping/ResponseText.h"
#include "core/shopping/XMLDocument.h"

class THTTPThread;
class THTTPThreadManager;

// One Shopping API call: builds its XML document and headers, goes through
// the scheduler, and turns the answer into a document, refusing answers that
// are not XML or whose "Ack" is not "Success" with the EShopping family.
class TBaseRequest {
 public:
  using TErrorHandler = std::function<void(TBaseRequest* sender, const EShopping& error)>;

  TBaseRequest();
  virtual ~TBaseRequest();
  TBaseRequest(const TBaseRequest&) = delete;
  TBaseRequest& operator=(const TBaseRequest&) = delete;

  qint32 SiteID = -1;  // -1: no site header
  // English (United States) without group separators: numbers a call writes or reads.
  QLocale FormatSettings;
  // Raised for an EShopping while an answer is handled.
  TErrorHandler OnError;

  // A new request document: the base gives an empty document; calls add their root.
  virtual void BuildRequest(std::unique_ptr<TXMLDocument>& document);
  // "Name=Value" lines: app id, site (only when SiteID >= 0), version, encoding.
  virtual QStringList GetHeaders() const;
  // Content type and the headers of GetHeaders on the worker's client.
  virtual void PrepareHTTP(THTTPThreadManager& scheduler, THTTPThread& worker);
  // A finished worker: ignored unless it completed, else HandleResponseData of its body.
  virtual void HandleResponse(THTTPThread& worker);
  // Loads the answer and checks its acknowledgement; raises EShopping, or an
  // EShoppingReturn descendant with eBay's first error. document is none after a raise.
  virtual void ParseResponse(const TResponseText& response,
                             std::unique_ptr<TXMLDocument>& document);
  // Returns every field to its default.
  virtual void Reset();

  // The request document as UTF-8 bytes with its XML declaration.
  QByteArray RequestXML();
  // Decodes and parses a received body; an EShopping goes to OnError and ends here.
  void HandleResponseData(const QByteArray& body);

  // The body as text: the first encoding="utf-8" (any case) becomes
  // encoding="utf-16", so the declaration matches the decoded text; then UTF-8 decoding.
  static QString DecodeResponse(const QByteArray& body);
  // Puts the content type and "Name=Value" lines (split at the first "=") on the worker.
  static void ApplyHeaders(const QStringList& headers, THTTPThread& worker);

 protected:
  // Appends the call's root element in the API namespace as the document element.
  static TXMLNode AppendRoot(TXMLDocument& document, const char* rootName);
  // Sends one call through the scheduler (POST of body to the Shopping API endpoint),
  // owned by this request, answered by HandleResponse.
  void SendCall(const QByteArray& body, const QString& tag, quint8 priority);
  // Whether this request has ever queued a call of its own (then it must
  // withdraw them when it goes away).
  bool FSentOwnCalls = false;
};
