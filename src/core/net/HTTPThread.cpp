#include "core/net/HTTPThread.h"

#include <QThreadPool>
#include <condition_variable>
#include <mutex>

#include "core/net/ContentDecoder.h"

namespace {

// The worker threads. The scheduler bounds how many transfers run at once, so
// the pool itself must never make a started transfer wait for a thread.
QThreadPool& WorkerPool() {
  static QThreadPool* pool = [] {
    auto* p = new QThreadPool();
    p->setMaxThreadCount(4096);
    p->setExpiryTimeout(30000);
    return p;
  }();
  return *pool;
}

}  // namespace

// Shared by the worker and the pooled thread running it, so the thread can
// report the end even when the worker is freed the moment it learns of it.
struct THTTPThread::TRunState {
  std::mutex Mutex;
  std::condition_variable Ended;
  bool Started = false;
  bool Finished = false;
};

THTTPThread::THTTPThread(const QString& url, QObject* parent)
    : QObject(parent), FURL(url), FRunState(std::make_shared<TRunState>()) {}

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

void THTTPThread::start() {
  {
    std::lock_guard lock(FRunState->Mutex);
    if (FRunState->Started) return;
    FRunState->Started = true;
  }
  WorkerPool().start([this, state = FRunState] {
    run();
    std::lock_guard lock(state->Mutex);
    state->Finished = true;
    state->Ended.notify_all();
  });
}

bool THTTPThread::wait(unsigned long ms) {
  std::unique_lock lock(FRunState->Mutex);
  auto ended = [this] { return !FRunState->Started || FRunState->Finished; };
  if (ms == ULONG_MAX) {
    FRunState->Ended.wait(lock, ended);
    return true;
  }
  return FRunState->Ended.wait_for(lock, std::chrono::milliseconds(ms), ended);
}

bool THTTPThread::isRunning() const {
  std::lock_guard lock(FRunState->Mutex);
  return FRunState->Started && !FRunState->Finished;
}

void THTTPThread::run() {
  Transfer();
  // Hand the finished worker to its context's thread; the handler runs there, never here.
  // The context was set before start and is not changed while the transfer runs.
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
