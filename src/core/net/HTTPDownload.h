#pragma once

#include <QByteArray>
#include <QString>

#include "core/net/HTTPClient.h"

class THTTPThreadManager;

// A synchronous download on the calling thread, for the log-on, the script
// modules, the URL schema, the log-off and the self-update. It uses the
// scheduler's connection settings with the module user agent, follows no
// redirects and decodes nothing. One object may serve several downloads.
class THTTPDownload {
 public:
  // A client configured from the process-wide scheduler's connection settings.
  THTTPDownload();
  // A client configured from the given scheduler's connection settings.
  explicit THTTPDownload(const THTTPThreadManager& manager);

  // GETs url into Body(); true when it arrived with a status below 400.
  bool Get(const QString& url);

  // The body of the last Get (empty after a failure).
  const QByteArray& Body() const { return FBody; }
  // The HTTP status of the last Get, 0 when no answer arrived.
  int StatusCode() const { return FClient.ResponseCode(); }
  // Why the last Get failed, empty after success.
  QString ErrorText() const { return FClient.ErrorText(); }
  // The client, to change a setting (e.g. OnProgress, MaxBodyBytes, UserAgent) before Get.
  THTTPClient& Client() { return FClient; }

 private:
  THTTPClient FClient;
  QByteArray FBody;
};
