#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <atomic>
#include <functional>
#include <optional>

// One HTTP client around one libcurl easy handle. Settings are plain fields
// that are handed to curl when Perform runs, so a preparation handler on the
// GUI thread may change them before the worker thread performs the transfer.
// A client is used by one thread at a time; only Abort may be called from
// another thread while Perform runs. Curl's own content decoding stays off:
// bodies arrive exactly as sent.
class THTTPClient {
 public:
  using THeaderList = QList<QPair<QByteArray, QByteArray>>;
  // Called on the performing thread with bytes received so far and the announced
  // size (0 when unknown); returning false cancels the transfer.
  using TProgressHandler = std::function<bool(qint64 received, qint64 total)>;

  // The limit used when nothing else is said: bodies above it fail the transfer.
  static constexpr qint64 kDefaultMaxBodyBytes = 64LL * 1024 * 1024;

  THTTPClient();
  ~THTTPClient();
  THTTPClient(const THTTPClient&) = delete;
  THTTPClient& operator=(const THTTPClient&) = delete;

  // --- request settings ---
  // User-Agent header (empty: none sent).
  QString UserAgent;
  // Send the transfer through the proxy ProxyServer:ProxyPort.
  bool UseProxy = false;
  // Proxy host name or address.
  QString ProxyServer;
  // Proxy port.
  int ProxyPort = 0;
  // Send basic proxy authentication (Proxy-Authorization) with ProxyUser/ProxyPassword.
  bool ProxyBasicAuth = false;
  // Proxy user name.
  QString ProxyUser;
  // Proxy password.
  QString ProxyPassword;
  // Extra request headers in order; see SetRequestHeader.
  THeaderList RequestHeaders;
  // Time allowed to establish the connection, in ms.
  int ConnectTimeoutMs = 30000;
  // Longest time without any byte received once connected, in ms.
  int ReadTimeoutMs = 60000;
  // Follow Location answers (3xx) up to MaxRedirects times.
  bool FollowRedirects = false;
  // Most redirects followed in one transfer.
  int MaxRedirects = 15;
  // Keep cookies set by the server for the redirects of this one transfer.
  bool AcceptCookies = false;
  // Close the connection as soon as the transfer has ended (no reuse by a later Perform).
  bool Disconnect = true;
  // Largest body accepted; a larger one fails the transfer.
  qint64 MaxBodyBytes = kDefaultMaxBodyBytes;
  // Optional progress callback (see TProgressHandler).
  TProgressHandler OnProgress;

  // Sets (replaces, or adds) one request header; names compare without regard to case.
  void SetRequestHeader(const QByteArray& name, const QByteArray& value);
  // The value of a request header set so far, empty when not set.
  QByteArray RequestHeader(const QByteArray& name) const;

  // --- the transfer ---
  // GET url, or POST *postData when given; the body lands in `body`. Synchronous, on the
  // calling thread. True when the transfer finished and the status is not an error (< 400).
  bool Perform(const QString& url, const std::optional<QByteArray>& postData, QByteArray& body);
  // Ends a running Perform at its next progress check (any thread); the transfer fails.
  void Abort();

  // --- the response of the last Perform ---
  // HTTP status code of the final response, 0 when none arrived.
  int ResponseCode() const { return FResponseCode; }
  // Headers of the final response in order (after redirects).
  const THeaderList& ResponseHeaders() const { return FResponseHeaders; }
  // The value of a response header (name without regard to case), empty when absent.
  QByteArray ResponseHeader(const QByteArray& name) const;
  // The URL of the final response (after redirects).
  QString EffectiveUrl() const { return FEffectiveUrl; }
  // Why the last Perform failed, empty after success.
  QString ErrorText() const { return FErrorText; }

 private:
  struct TTransferState;
  static size_t WriteBody(char* data, size_t size, size_t count, void* state);
  static size_t WriteHeader(char* data, size_t size, size_t count, void* state);
  static int Progress(void* state, qint64 dlTotal, qint64 dlNow, qint64 ulTotal, qint64 ulNow);

  void* FHandle = nullptr;  // CURL*
  std::atomic<bool> FAborted{false};
  int FResponseCode = 0;
  THeaderList FResponseHeaders;
  QString FEffectiveUrl;
  QString FErrorText;
};
