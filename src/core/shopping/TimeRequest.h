#pragma once

#include <QDateTime>
#include <functional>

#include "core/shopping/BaseRequest.h"

// GeteBayTime: eBay's official clock. The time of the last good answer is
// advanced by the call's round trip and by the milliseconds passed since, on
// the system's 32-bit millisecond tick (injectable, so the arithmetic is
// testable and wraps like the real counter).
class TTimeRequest : public TBaseRequest {
 public:
  using TTickSource = std::function<quint32()>;

  TTimeRequest();

  QDateTime EBayTime;        // UTC; invalid until a good answer arrived
  quint32 RoundTripMs = 0;   // from preparing the last call to parsing its answer
  quint32 ResponseTick = 0;  // tick when the call was prepared, then when it was parsed
  std::function<void(TTimeRequest* sender)> OnTime;  // a new EBayTime was stored
  // The millisecond tick; empty: the system's monotonic clock.
  TTickSource TickSource;

  void BuildRequest(std::unique_ptr<TXMLDocument>& document) override;
  QStringList GetHeaders() const override;
  void PrepareHTTP(THTTPThreadManager& scheduler, THTTPThread& worker) override;
  // Measures the round trip, checks the answer (errors leave EBayTime alone),
  // then takes "Timestamp"; a missing or unreadable one resets the time.
  void ParseResponse(const TResponseText& response,
                     std::unique_ptr<TXMLDocument>& document) override;
  void Reset() override;

  // Queues the call (priority 3).
  void Send();
  // eBay's time now in UTC, or an invalid date-time while none is known.
  QDateTime CurrentEBayTimeUTC() const;
  // The same in local time.
  QDateTime CurrentEBayTime() const;

  quint32 Tick() const;
  static quint32 SystemTick();
};

// The process-wide time request (created on first use, never freed: the
// scheduler may outlive the program's other statics).
TTimeRequest& TimeRequest();

// Start-up step 24: installs the eBay time as the program clock's eBay source
// and sends the time request; its answer arrives after start-up.
void StartEBayTimeRequest();
