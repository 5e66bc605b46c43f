#pragma once

#include <QString>
#include <QtGlobal>

class THTTPClient;

// The connection settings every HTTP client of the program applies: the
// scheduler's workers as well as the synchronous downloads. One instance lives
// in the scheduler; the start-up sequence fills it from prefs.ini.
struct TNetAccessConfig {
  // Sent as User-Agent; the start-up sequence replaces this default.
  QString UserAgent = QStringLiteral("Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1)");
  // Route every transfer through ProxyServer:ProxyPort.
  bool UseProxy = false;
  // Proxy host name or address.
  QString ProxyServer;
  // Proxy port.
  qint32 ProxyPort = 1080;
  // Send basic proxy authentication with ProxyUser and ProxyPassword (only with UseProxy).
  bool RequireAuth = false;
  // Proxy user name, plain in memory.
  QString ProxyUser;
  // Proxy password, plain in memory.
  QString ProxyPassword;

  // Configures the client: proxy (and its basic authentication) when enabled, then the user agent.
  void ApplyTo(THTTPClient& client) const;

  bool operator==(const TNetAccessConfig&) const = default;
};
