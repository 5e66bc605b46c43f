#include "core/net/HTTPClient.h"

#include <curl/curl.h>

#include <QElapsedTimer>
#include <mutex>

namespace {

void EnsureCurlInitialised() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool SameName(const QByteArray& a, const QByteArray& b) {
  return a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

// What the curl callbacks of one Perform need.
struct THTTPClient::TTransferState {
  THTTPClient* Client = nullptr;
  CURL* Handle = nullptr;
  QByteArray* Body = nullptr;
  bool BodyTooLarge = false;
  bool HttpError = false;
  bool ReadTimedOut = false;
  bool CancelledByCallback = false;
  bool Connected = false;
  curl_off_t LastDown = -1;
  curl_off_t LastUp = -1;
  QElapsedTimer SinceData;
};

THTTPClient::THTTPClient() {
  EnsureCurlInitialised();
  FHandle = curl_easy_init();
}

THTTPClient::~THTTPClient() {
  if (FHandle) curl_easy_cleanup(static_cast<CURL*>(FHandle));
}

void THTTPClient::SetRequestHeader(const QByteArray& name, const QByteArray& value) {
  for (auto& header : RequestHeaders) {
    if (SameName(header.first, name)) {
      header.second = value;
      return;
    }
  }
  RequestHeaders.append({name, value});
}

QByteArray THTTPClient::RequestHeader(const QByteArray& name) const {
  for (const auto& header : RequestHeaders)
    if (SameName(header.first, name)) return header.second;
  return {};
}

QByteArray THTTPClient::ResponseHeader(const QByteArray& name) const {
  for (const auto& header : FResponseHeaders)
    if (SameName(header.first, name)) return header.second;
  return {};
}

void THTTPClient::Abort() {
  FAborted = true;
}

size_t THTTPClient::WriteBody(char* data, size_t size, size_t count, void* statePtr) {
  auto& state = *static_cast<TTransferState*>(statePtr);
  const size_t bytes = size * count;
  long code = 0;
  curl_easy_getinfo(state.Handle, CURLINFO_RESPONSE_CODE, &code);
  if (code >= 400) {
    // An error status fails the transfer; its body is of no use to anyone.
    state.HttpError = true;
    return 0;
  }
  const qint64 limit = state.Client->MaxBodyBytes;
  if (state.Body->isEmpty()) {
    curl_off_t announced = -1;
    curl_easy_getinfo(state.Handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
    if (announced > limit) {
      state.BodyTooLarge = true;
      return 0;
    }
    if (announced > 0) state.Body->reserve(qsizetype(announced));
  }
  if (qint64(state.Body->size()) + qint64(bytes) > limit) {
    state.BodyTooLarge = true;
    return 0;
  }
  state.Body->append(data, qsizetype(bytes));
  return bytes;
}

size_t THTTPClient::WriteHeader(char* data, size_t size, size_t count, void* statePtr) {
  auto& state = *static_cast<TTransferState*>(statePtr);
  const size_t bytes = size * count;
  QByteArray line(data, qsizetype(bytes));
  while (line.endsWith('\n') || line.endsWith('\r'))
    line.chop(1);
  if (line.startsWith("HTTP/")) {
    // A new response begins (redirect, 100 Continue, proxy answer): only the last one counts.
    state.Client->FResponseHeaders.clear();
  } else if (const qsizetype colon = line.indexOf(':'); colon > 0) {
    state.Client->FResponseHeaders.append(
        {line.left(colon).trimmed(), line.mid(colon + 1).trimmed()});
  }
  return bytes;
}

int THTTPClient::Progress(void* statePtr, qint64 dlTotal, qint64 dlNow, qint64, qint64 ulNow) {
  auto& state = *static_cast<TTransferState*>(statePtr);
  THTTPClient& client = *state.Client;
  if (client.FAborted) return 1;
  if (!state.Connected) {
    curl_off_t connectTime = 0;
    curl_easy_getinfo(state.Handle, CURLINFO_CONNECT_TIME_T, &connectTime);
    if (connectTime > 0) {
      // The read time-out counts from the connection, not from the name lookup.
      state.Connected = true;
      state.SinceData.restart();
    }
  }
  if (dlNow != state.LastDown || ulNow != state.LastUp) {
    state.LastDown = dlNow;
    state.LastUp = ulNow;
    state.SinceData.restart();
  } else if (state.Connected && client.ReadTimeoutMs > 0 &&
             state.SinceData.elapsed() > client.ReadTimeoutMs) {
    state.ReadTimedOut = true;
    return 1;
  }
  if (client.OnProgress && !client.OnProgress(dlNow, dlTotal)) {
    state.CancelledByCallback = true;
    return 1;
  }
  return 0;
}

bool THTTPClient::Perform(const QString& url, const std::optional<QByteArray>& postData,
                          QByteArray& body) {
  body.clear();
  FResponseCode = 0;
  FResponseHeaders.clear();
  FEffectiveUrl.clear();
  FErrorText.clear();
  auto* curl = static_cast<CURL*>(FHandle);
  if (!curl) {
    FErrorText = QStringLiteral("no HTTP client");
    return false;
  }
  if (FAborted) {
    FErrorText = QStringLiteral("aborted");
    return false;
  }
  curl_easy_reset(curl);

  TTransferState state;
  state.Client = this;
  state.Handle = curl;
  state.Body = &body;
  state.SinceData.start();
  char errorBuffer[CURL_ERROR_SIZE] = {};

  const QByteArray urlBytes = url.toUtf8();
  const QByteArray agent = UserAgent.toUtf8();
  const QByteArray proxyHost = ProxyServer.toUtf8();
  const QByteArray proxyUser = ProxyUser.toUtf8();
  const QByteArray proxyPassword = ProxyPassword.toUtf8();

  curl_easy_setopt(curl, CURLOPT_URL, urlBytes.constData());
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
  // Only web addresses, also after a redirect: a server must not send us to file: or worse.
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &THTTPClient::WriteBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &state);
  curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &THTTPClient::WriteHeader);
  curl_easy_setopt(curl, CURLOPT_HEADERDATA, &state);
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
  curl_xferinfo_callback progress = [](void* s, curl_off_t dlTotal, curl_off_t dlNow,
                                       curl_off_t ulTotal, curl_off_t ulNow) -> int {
    return Progress(s, dlTotal, dlNow, ulTotal, ulNow);
  };
  curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, progress);
  curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &state);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, long(qMax(0, ConnectTimeoutMs)));
  curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(MaxBodyBytes));
  curl_easy_setopt(curl, CURLOPT_FORBID_REUSE, Disconnect ? 1L : 0L);
  if (!agent.isEmpty()) curl_easy_setopt(curl, CURLOPT_USERAGENT, agent.constData());

  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, FollowRedirects ? 1L : 0L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, long(MaxRedirects));
  if (AcceptCookies) {
    // An in-memory cookie jar, emptied first: cookies live through the redirects of
    // this one transfer and no longer.
    curl_easy_setopt(curl, CURLOPT_COOKIEFILE, "");
    curl_easy_setopt(curl, CURLOPT_COOKIELIST, "ALL");
  }

  if (UseProxy && !proxyHost.isEmpty()) {
    curl_easy_setopt(curl, CURLOPT_PROXY, proxyHost.constData());
    curl_easy_setopt(curl, CURLOPT_PROXYPORT, long(ProxyPort));
    if (ProxyBasicAuth) {
      curl_easy_setopt(curl, CURLOPT_PROXYAUTH, long(CURLAUTH_BASIC));
      curl_easy_setopt(curl, CURLOPT_PROXYUSERNAME, proxyUser.constData());
      curl_easy_setopt(curl, CURLOPT_PROXYPASSWORD, proxyPassword.constData());
    }
  } else {
    // No proxy means none: the environment's proxy variables are not ours to follow.
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
  }

  if (postData) {
    curl_easy_setopt(curl, CURLOPT_POST, 1L);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(postData->size()));
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, postData->constData());
  } else {
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  }

  curl_slist* headers = nullptr;
  bool expectGiven = false;
  QList<QByteArray> headerLines;
  for (const auto& [name, value] : RequestHeaders) {
    if (name.isEmpty()) continue;
    expectGiven = expectGiven || SameName(name, "Expect");
    // "Name;" is curl's way to send a header with an empty value.
    headerLines.append(value.isEmpty() ? name + ';' : name + ": " + value);
  }
  // The body goes at once; waiting for "100 Continue" only costs a round trip.
  if (postData && !expectGiven) headerLines.append("Expect:");
  for (const QByteArray& line : headerLines)
    headers = curl_slist_append(headers, line.constData());
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);

  const CURLcode rc = curl_easy_perform(curl);
  curl_slist_free_all(headers);

  long code = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &code);
  FResponseCode = int(code);
  char* effective = nullptr;
  if (curl_easy_getinfo(curl, CURLINFO_EFFECTIVE_URL, &effective) == CURLE_OK && effective)
    FEffectiveUrl = QString::fromUtf8(effective);
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, static_cast<char*>(nullptr));

  if (FAborted)
    FErrorText = QStringLiteral("aborted");
  else if (state.HttpError || (rc == CURLE_OK && code >= 400))
    FErrorText = QStringLiteral("HTTP status %1").arg(code);
  else if (state.BodyTooLarge || rc == CURLE_FILESIZE_EXCEEDED)
    FErrorText = QStringLiteral("body exceeds %1 bytes").arg(MaxBodyBytes);
  else if (state.ReadTimedOut)
    FErrorText = QStringLiteral("read time-out after %1 ms").arg(ReadTimeoutMs);
  else if (state.CancelledByCallback)
    FErrorText = QStringLiteral("cancelled");
  else if (rc != CURLE_OK)
    FErrorText = QString::fromUtf8(errorBuffer[0] ? errorBuffer : curl_easy_strerror(rc));

  if (!FErrorText.isEmpty()) {
    body.clear();
    body.squeeze();
    return false;
  }
  return true;
}
