#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <atomic>
#include <climits>
#include <functional>
#include <memory>
#include <optional>

#include "core/net/HTTPClient.h"

// One asynchronous transfer on its own thread with its own HTTP client. The
// scheduler creates it, lets the request's preparation handler adjust the
// client, starts it, and gets it back on the GUI thread through a queued call
// once the transfer has ended; the completion handler reads the results there.
// While the transfer runs nothing but the worker itself touches its fields.
// The thread comes from a pool of worker threads: creating a thread for every
// transfer cost more than many a transfer itself. A pooled thread runs one
// transfer at a time, so every running transfer still has a thread of its own.
class THTTPThread : public QObject {
  Q_OBJECT

 public:
  // Called on the thread of the end handler's context object once the transfer has ended.
  using TEndHandler = std::function<void(THTTPThread& worker)>;

  // The limit used when nothing else is said: a decoded body above it fails the transfer.
  static constexpr qint64 kDefaultMaxDecodedBytes = 64LL * 1024 * 1024;

  // A worker for url, not started.
  explicit THTTPThread(const QString& url, QObject* parent = nullptr);
  // Aborts and waits for a transfer that still runs.
  ~THTTPThread() override;

  // --- the thread ---
  // Runs the transfer on a worker thread; once per worker.
  void start();
  // Waits until the transfer has ended (at most ms milliseconds); true when it has.
  bool wait(unsigned long ms = ULONG_MAX);
  // Whether the transfer was started and has not ended yet.
  bool isRunning() const;

  // --- copied from the request before start ---
  // The address to transfer.
  const QString& URL() const { return FURL; }
  // The caller's tag, passed through unchanged.
  const QString& Tag() const { return FTag; }
  void SetTag(const QString& tag) { FTag = tag; }
  // Off: the body is also copied into ResponseText.
  bool KeepBinary() const { return FKeepBinary; }
  void SetKeepBinary(bool keepBinary) { FKeepBinary = keepBinary; }
  // The POST body; absent for a GET.
  const std::optional<QByteArray>& PostData() const { return FPostData; }
  void SetPostData(const std::optional<QByteArray>& postData) { FPostData = postData; }
  // Largest decoded (gzip/deflate) body accepted.
  qint64 MaxDecodedBytes() const { return FMaxDecodedBytes; }
  void SetMaxDecodedBytes(qint64 bytes) { FMaxDecodedBytes = bytes; }
  // The worker's own HTTP client: settings before start, response (status, headers) after.
  THTTPClient& Client() { return FClient; }
  const THTTPClient& Client() const { return FClient; }
  // Called, through a queued call to `context`'s thread, when the transfer has ended.
  void SetEndHandler(QObject* context, TEndHandler handler);

  // --- results, valid in the end handler ---
  // The body as received, after content decoding.
  const QByteArray& ResponseStream() const { return FResponseStream; }
  // The body again as text bytes; filled only when KeepBinary is off.
  const QByteArray& ResponseText() const { return FResponseText; }
  // Number of bytes in ResponseStream.
  qint64 ResponseSize() const { return FResponseStream.size(); }
  // On only when the transfer (and decoding) ended without any error.
  bool Completed() const { return FCompleted; }
  // Why the transfer failed, empty when Completed.
  const QString& ErrorText() const { return FErrorText; }

  // --- cancellation ---
  // Marks the worker as cancelled; the transfer itself goes on (its result is ignored).
  void Terminate() { FTerminated = true; }
  // Whether Terminate was called.
  bool Terminated() const { return FTerminated; }
  // Cuts a running transfer short (shutdown); the transfer fails.
  void Abort() { FClient.Abort(); }

 protected:
  // The transfer: GET/POST, content decoding, results; then hands the worker over.
  void run();

 private:
  void Transfer();
  struct TRunState;

  std::shared_ptr<TRunState> FRunState;

  QString FURL;
  QString FTag;
  bool FKeepBinary = false;
  std::optional<QByteArray> FPostData;
  qint64 FMaxDecodedBytes = kDefaultMaxDecodedBytes;
  THTTPClient FClient;
  QPointer<QObject> FEndContext;
  TEndHandler FEndHandler;
  QByteArray FResponseStream;
  QByteArray FResponseText;
  bool FCompleted = false;
  QString FErrorText;
  std::atomic<bool> FTerminated{false};
};
