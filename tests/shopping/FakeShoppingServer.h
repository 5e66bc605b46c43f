#pragma once

#include <httplib.h>

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <QtTest/QTest>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/app/AppCore.h"
#include "core/net/HTTPThreadManager.h"

// A Shopping API endpoint on 127.0.0.1 for the call tests: records every call
// and answers it with what the test's function returns. Points the program's
// Shopping API address at itself while it lives.
class TFakeShoppingServer {
 public:
  struct TCall {
    QByteArray CallName;
    QByteArray SiteID;  // "none" when the header was not sent
    QByteArray AppID;
    QByteArray ContentType;
    QByteArray Body;
    // The texts of the body's <tag> elements, in order.
    QByteArrayList Values(const char* tag) const {
      QByteArrayList values;
      const QByteArray open = QByteArray("<") + tag + ">";
      const QByteArray close = QByteArray("</") + tag + ">";
      for (qsizetype at = Body.indexOf(open); at >= 0; at = Body.indexOf(open, at)) {
        const qsizetype start = at + open.size();
        const qsizetype end = Body.indexOf(close, start);
        if (end < 0) break;
        values << Body.mid(start, end - start);
        at = end + close.size();
      }
      return values;
    }
  };
  using TAnswer = std::function<QByteArray(const TCall&)>;

  explicit TFakeShoppingServer(TAnswer answer) : FAnswer(std::move(answer)) {
    FServer.Post("/shopping", [this](const httplib::Request& req, httplib::Response& res) {
      TCall call;
      call.CallName = QByteArray::fromStdString(req.get_header_value("X-EBAY-API-CALL-NAME"));
      call.SiteID = req.has_header("X-EBAY-API-SITE-ID")
                        ? QByteArray::fromStdString(req.get_header_value("X-EBAY-API-SITE-ID"))
                        : QByteArray("none");
      call.AppID = QByteArray::fromStdString(req.get_header_value("X-EBAY-API-APP-ID"));
      call.ContentType = QByteArray::fromStdString(req.get_header_value("Content-Type"));
      call.Body = QByteArray::fromStdString(req.body);
      {
        std::lock_guard lock(FMutex);
        FCalls.push_back(call);
      }
      const QByteArray answer = FAnswer(call);
      res.set_content(answer.toStdString(), "text/xml");
    });
    FPort = FServer.bind_to_any_port("127.0.0.1");
    FThread = std::thread([this] { FServer.listen_after_bind(); });
    while (!FServer.is_running())
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    FPreviousUrl = AppCore().ShoppingApiUrl;
    AppCore().ShoppingApiUrl = QStringLiteral("http://127.0.0.1:%1/shopping?").arg(FPort);
    // Call tests start more transfers than one tick allows.
    HTTPThreadManager().SetMaxNewConnections(100000);
  }

  ~TFakeShoppingServer() {
    AppCore().ShoppingApiUrl = FPreviousUrl;
    FServer.stop();
    if (FThread.joinable()) FThread.join();
  }

  std::vector<TCall> Calls() {
    std::lock_guard lock(FMutex);
    return FCalls;
  }
  std::vector<TCall> Calls(const char* callName) {
    std::vector<TCall> found;
    for (const TCall& c : Calls())
      if (c.CallName == callName) found.push_back(c);
    return found;
  }

 private:
  TAnswer FAnswer;
  httplib::Server FServer;
  std::thread FThread;
  int FPort = 0;
  std::mutex FMutex;
  std::vector<TCall> FCalls;
  QString FPreviousUrl;
};

// Runs the event loop until cond holds (at most 10 s).
inline bool WaitFor(const std::function<bool()>& cond, int timeoutMs = 10000) {
  return QTest::qWaitFor(cond, timeoutMs);
}

// Lets queued work run for a moment, for checks that nothing happens.
inline void Settle(int ms = 150) {
  QTest::qWait(ms);
}
