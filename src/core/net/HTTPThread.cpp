#include "core/net/HTTPThread.h"

#include "core/net/ContentDecoder.h"

THTTPThread::THTTPThread(const QString& url, QObject* parent) : QThread(parent), FURL(url) {}

THTTPThread::~THTTPThread() {
  if (isRunning()) {
    Abort();
    wait();
  }
}

void THTTPThread::SetEndHandler(QObject* context, TEndHandler handler) {
  FEndContext = context;
  FEndHandler = std::move(handler);
}

void THTTPThread::run() {
  Transfer();
  // Hand the finished worker to its context's thread; the handler runs there, never here.
  // The context was set before start and is not changed while the thread runs.
  if (QObject* context = FEndContext.data(); context && FEndHandler) {
    QMetaObject::invokeMethod(
        context, [this, handler = FEndHandler] { handler(*this); }, Qt::QueuedConnection);
  }
}

void THTTPThread::Transfer() {
  FResponseStream.clear();
  FResponseText.clear();
  FCompleted = false;
  FErrorText.clear();

  QByteArray body;
  if (!FClient.Perform(FURL, FPostData, body)) {
    FErrorText = FClient.ErrorText();
    return;
  }
  // Exactly these two values, as sent: anything else stays as it arrived.
  const QByteArray encoding = FClient.ResponseHeader("Content-Encoding");
  if (encoding == "gzip" || encoding == "deflate") {
    QByteArray decoded;
    QString error;
    const bool ok = ContentDecoder::Decode(body, FMaxDecodedBytes, decoded, error);
    body.clear();
    body.squeeze();
    if (!ok) {
      FErrorText = error;
      return;
    }
    body = std::move(decoded);
  }
  FResponseStream = std::move(body);
  if (!FKeepBinary) FResponseText = FResponseStream;
  FCompleted = true;
}
