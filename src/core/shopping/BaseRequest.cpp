#include "core/shopping/BaseRequest.h"

#include "core/net/HTTPThread.h"
#include "core/net/HTTPThreadManager.h"
#include "core/shopping/EShoppingReturnError.h"
#include "core/shopping/EShoppingReturnOther.h"
#include "core/shopping/EShoppingReturnWarning.h"
#include "core/shopping/MSXMLTools.h"
#include "core/shopping/ShoppingAPIAccess.h"

namespace {

constexpr char kUtf8Declaration[] = "encoding=\"utf-8\"";
constexpr int kUtf8DeclarationLength = sizeof(kUtf8Declaration) - 1;

}  // namespace

TBaseRequest::TBaseRequest() : FormatSettings(QLocale::English, QLocale::UnitedStates) {
  FormatSettings.setNumberOptions(QLocale::OmitGroupSeparator);
}

TBaseRequest::~TBaseRequest() {
  // Calls still queued or running would report to a request that is gone.
  if (FSentOwnCalls) {
    HTTPThreadManager().CancelOwner(this);
    HTTPThreadManager().UnregisterOwner(this);
  }
}

void TBaseRequest::BuildRequest(std::unique_ptr<TXMLDocument>& document) {
  // libxml2 writes the declaration itself: version 1.0, encoding utf-8.
  document = NewXPathDocument();
}

QStringList TBaseRequest::GetHeaders() const {
  QStringList lines;
  lines << QStringLiteral("X-EBAY-API-APP-ID=") + QString::fromLatin1(ShoppingAPIAccess().AppID);
  if (SiteID >= 0) lines << QStringLiteral("X-EBAY-API-SITE-ID=") + QString::number(SiteID);
  lines << QStringLiteral("X-EBAY-API-VERSION=567");
  lines << QStringLiteral("X-EBAY-API-REQUEST-ENCODING=XML");
  return lines;
}

void TBaseRequest::ApplyHeaders(const QStringList& headers, THTTPThread& worker) {
  THTTPClient& client = worker.Client();
  client.SetRequestHeader("Content-Type", "text/xml;charset=utf-8");
  for (const QString& line : headers) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0) continue;
    client.SetRequestHeader(line.left(eq).toUtf8(), line.mid(eq + 1).toUtf8());
  }
}

void TBaseRequest::PrepareHTTP(THTTPThreadManager&, THTTPThread& worker) {
  ApplyHeaders(GetHeaders(), worker);
}

void TBaseRequest::HandleResponse(THTTPThread& worker) {
  // A failed transfer is the scheduler's business: it counts it.
  if (!worker.Completed()) return;
  HandleResponseData(worker.ResponseStream());
}

QString TBaseRequest::DecodeResponse(const QByteArray& body) {
  const char* data = body.constData();
  const qsizetype size = body.size();
  for (qsizetype i = 0; i + kUtf8DeclarationLength <= size; ++i) {
    if ((data[i] | 0x20) != 'e') continue;
    if (qstrnicmp(data + i, kUtf8Declaration, kUtf8DeclarationLength) != 0) continue;
    QByteArray rewritten = body;
    rewritten.replace(i, kUtf8DeclarationLength, "encoding=\"utf-16\"");
    return QString::fromUtf8(rewritten);
  }
  return QString::fromUtf8(body);
}

void TBaseRequest::HandleResponseData(const QByteArray& body) {
  std::unique_ptr<TXMLDocument> document;
  try {
    ParseResponse(TResponseText::FromBody(body), document);
  } catch (const EShopping& error) {
    if (OnError) OnError(this, error);
  }
}

void TBaseRequest::ParseResponse(const TResponseText& response,
                                 std::unique_ptr<TXMLDocument>& document) {
  document = NewXPathDocument();
  if (!document->LoadXMLUtf8(response.Utf8())) {
    const TXMLDocument::TParseError error = document->ParseError();
    document.reset();
    throw EShopping(QStringLiteral("XML-Daten konnten nicht geladen werden. ") +
                    QStringLiteral("\n\r") + error.Reason + QStringLiteral(" in ") + error.SrcText);
  }
  const TXMLNode ack = document->SelectSingleNode("/*/ebay:Ack");
  if (!ack) return;
  const QString ackText = ack.Text();
  if (ackText == QLatin1String("Success")) return;

  const TXMLNode shortMessage = document->SelectSingleNode("/*/ebay:Errors/ebay:ShortMessage");
  const TXMLNode longMessage = document->SelectSingleNode("/*/ebay:Errors/ebay:LongMessage");
  const TXMLNode errorCode = document->SelectSingleNode("/*/ebay:Errors/ebay:ErrorCode");
  const QString message = shortMessage ? shortMessage.Text() : QString();
  const QString longText = longMessage ? longMessage.Text() : QString();
  const QByteArray code = errorCode ? errorCode.Text().toUtf8() : QByteArray();
  document.reset();
  if (ackText == QLatin1String("Failure")) throw EShoppingReturnError(message, longText, code);
  if (ackText == QLatin1String("Warning")) throw EShoppingReturnWarning(message, longText, code);
  throw EShoppingReturnOther(message, longText, code);
}

void TBaseRequest::Reset() {
  SiteID = -1;
}

QByteArray TBaseRequest::RequestXML() {
  std::unique_ptr<TXMLDocument> document;
  BuildRequest(document);
  return document ? document->Xml() : QByteArray();
}

TXMLNode TBaseRequest::AppendRoot(TXMLDocument& document, const char* rootName) {
  TXMLNode root = document.CreateElement(rootName, ShoppingAPIAccess().Namespace);
  document.SetDocumentElement(root);
  return root;
}

void TBaseRequest::SendCall(const QByteArray& body, const QString& tag, quint8 priority) {
  FSentOwnCalls = true;
  HTTPThreadManager().Enqueue(
      this, ShoppingAPIAccess().URL(), body,
      [this](THTTPThreadManager& scheduler, THTTPThread& worker) {
        PrepareHTTP(scheduler, worker);
      },
      [this](THTTPThread& worker) { HandleResponse(worker); }, tag, true, priority);
}
