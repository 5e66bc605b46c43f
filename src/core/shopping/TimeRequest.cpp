#include "core/shopping/TimeRequest.h"

#include <QElapsedTimer>

#include "core/app/Clock.h"
#include "core/shopping/ISODateTime.h"

TTimeRequest::TTimeRequest() = default;

quint32 TTimeRequest::SystemTick() {
  static QElapsedTimer timer = [] {
    QElapsedTimer t;
    t.start();
    return t;
  }();
  return quint32(quint64(timer.elapsed()));
}

quint32 TTimeRequest::Tick() const {
  return TickSource ? TickSource() : SystemTick();
}

void TTimeRequest::BuildRequest(std::unique_ptr<TXMLDocument>& document) {
  TBaseRequest::BuildRequest(document);
  AppendRoot(*document, "GeteBayTimeRequest");
}

QStringList TTimeRequest::GetHeaders() const {
  QStringList lines = TBaseRequest::GetHeaders();
  lines << QStringLiteral("X-EBAY-API-CALL-NAME=GeteBayTime");
  return lines;
}

void TTimeRequest::PrepareHTTP(THTTPThreadManager& scheduler, THTTPThread& worker) {
  TBaseRequest::PrepareHTTP(scheduler, worker);
  ResponseTick = Tick();
}

void TTimeRequest::ParseResponse(const TResponseText& response,
                                 std::unique_ptr<TXMLDocument>& document) {
  const quint32 now = Tick();
  RoundTripMs = now - ResponseTick;  // unsigned: correct across the tick's wrap
  ResponseTick = now;
  TBaseRequest::ParseResponse(response, document);
  const TXMLNode stamp = document->DocumentElement().SelectSingleNode("./ebay:Timestamp");
  QDateTime time;
  if (stamp && !stamp.Text().isEmpty() && ISODateTime::TryParse(stamp.Text(), time)) {
    EBayTime = time;
    if (OnTime) OnTime(this);
  } else {
    Reset();
  }
}

void TTimeRequest::Reset() {
  TBaseRequest::Reset();
  EBayTime = QDateTime();
  RoundTripMs = 0;
  ResponseTick = 0;
}

void TTimeRequest::Send() {
  SendCall(RequestXML(), QString(), 3);
}

QDateTime TTimeRequest::CurrentEBayTimeUTC() const {
  if (!EBayTime.isValid()) return QDateTime();
  const quint32 since = Tick() - ResponseTick;
  return EBayTime.addMSecs(qint64(RoundTripMs) + qint64(since));
}

QDateTime TTimeRequest::CurrentEBayTime() const {
  const QDateTime utc = CurrentEBayTimeUTC();
  return utc.isValid() ? utc.toLocalTime() : QDateTime();
}

TTimeRequest& TimeRequest() {
  static TTimeRequest* request = new TTimeRequest;
  return *request;
}

void StartEBayTimeRequest() {
  QuarnClock::SetEBaySource([] { return TimeRequest().CurrentEBayTime(); });
  TimeRequest().Send();
}
