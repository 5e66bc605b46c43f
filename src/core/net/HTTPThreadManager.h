#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/net/HTTPThreadData.h"
#include "core/net/NetAccessConfig.h"

class THTTPClient;
class THTTPThread;

// The scheduler every asynchronous HTTP transfer goes through. Requests wait
// in a queue and start on worker threads by priority, within two limits: the
// number running at once and the number started per 5-second tick. Requests
// are grouped by owner, so an owner learns its progress, hears when all its
// requests are done and can withdraw them at once. Everything here runs on the
// GUI thread; workers hand themselves back to it when they end, so no state is
// shared with a worker thread and no lock is needed.
class THTTPThreadManager : public QObject {
  Q_OBJECT

 public:
  // Identifies an owner; any address (usually the caller's `this`), or nullptr for none.
  using TOwner = const void*;
  // Completion: gets the finished worker (also when it failed); the worker is freed after it.
  using TDoneHandler = std::function<void(THTTPThread& worker)>;
  // Preparation: adjusts the not yet started worker (its Client()) on the GUI thread.
  using TPrepareHandler = std::function<void(THTTPThreadManager& manager, THTTPThread& worker)>;
  // Called when the last request of a registered owner has been completed.
  using TAllDoneHandler = std::function<void(TOwner owner)>;
  // Called with the owner's percentage done after each of its completions but the last.
  using TProgressHandler = std::function<void(THTTPThreadManager& manager, int percent)>;

  // The fourteen values handed to the statistics listener, in this order.
  struct TStatistics {
    qint32 Running = 0;          // workers running now
    qint32 Started = 0;          // workers started in total
    qint32 RunningHigh = 0;      // running with priority 3
    qint32 StartedHigh = 0;      // started with priority 3
    qint32 RunningMedium = 0;    // running with priority 2
    qint32 StartedMedium = 0;    // started with priority 2
    qint32 RunningLow = 0;       // running with priority 1
    qint32 StartedLow = 0;       // started with priority 1
    qint32 Failed = 0;           // completed transfers that failed
    qint32 Waiting = 0;          // queued minus running
    qint32 StartedThisTick = 0;  // started since the last tick
    qint32 OwnersNow = 0;        // owners registered now
    qint32 OwnersTotal = 0;      // owners registered in total
    qint32 BytesReceived = 0;    // low 32 bits of the bytes received
    // The values in record order.
    std::array<qint32, 14> Values() const;
  };
  // The statistics listener (the network monitor).
  using TStatisticsHandler = std::function<void(THTTPThreadManager& manager, const TStatistics&)>;

  // The scheduler's tick interval.
  static constexpr int kTickIntervalMs = 5000;

  // tickIntervalMs <= 0 runs no timer: the owner calls Tick() itself (tests).
  explicit THTTPThreadManager(int tickIntervalMs = kTickIntervalMs, QObject* parent = nullptr);
  // Aborts the transfers still running, waits for their threads and frees them; no handler runs.
  ~THTTPThreadManager() override;

  // --- requests ---
  // Queues a request (POST when postData is given, else GET); priority 3 high .. 1 low, 0 never
  // starts, above 3 counts as 3. The request belongs to the scheduler from now on.
  void Enqueue(TOwner owner, const QString& url, std::optional<QByteArray> postData,
               TPrepareHandler onPrepare, TDoneHandler onDone, const QString& tag, bool keepBinary,
               quint8 priority);
  // Makes an owner known so it gets progress and all-done calls; again: replaces the handlers.
  void RegisterOwner(TOwner owner, TAllDoneHandler onAllDone, TProgressHandler onProgress);
  // Withdraws all requests of the owner (as CancelOwner) and forgets it; unknown owners: nothing.
  void UnregisterOwner(TOwner owner);
  // Drops the owner's waiting requests and marks its running ones cancelled; no handler runs.
  void CancelOwner(TOwner owner);
  // Number of queue entries (waiting or running) of the owner.
  int CountForOwner(TOwner owner) const;
  // Whether the owner is registered.
  bool IsOwnerRegistered(TOwner owner) const;
  // The registered owner's requests queued or running and counted in its progress (0 if unknown).
  int OwnerPending(TOwner owner) const;
  // The registered owner's requests added since its pending count last reached 0 (0 if unknown).
  int OwnerTotal(TOwner owner) const;

  // --- limits and the tick ---
  // Most transfers running at once (default 15).
  int MaxConcurentConnections() const { return FMaxConcurentConnections; }
  // Sets the running limit; starts nothing by itself.
  void SetMaxConcurentConnections(int n) { FMaxConcurentConnections = n; }
  // Most transfers started per tick (default 20).
  int MaxNewConnectionsIn5Sec() const { return FMaxNewConnectionsIn5Sec; }
  // Sets the per-tick limit; a larger value starts waiting requests at once.
  void SetMaxNewConnections(int n);
  // The tick: reports statistics, opens a new start window and starts what fits.
  void Tick();
  // Changes the tick timer's interval; <= 0 stops it (Tick() is then called by hand).
  void SetTickInterval(int ms);

  // --- body limits given to every new worker ---
  // Largest body received per transfer (default 64 MiB).
  qint64 MaxBodyBytes() const { return FMaxBodyBytes; }
  // Largest decoded body per transfer (default 64 MiB).
  qint64 MaxDecodedBytes() const { return FMaxDecodedBytes; }
  // Sets both limits for workers created from now on.
  void SetBodyLimits(qint64 maxBodyBytes, qint64 maxDecodedBytes);

  // --- counters and statistics ---
  // Requests waiting plus running.
  int Queued() const { return FQueued; }
  // Workers running now (cancelled ones included until they end).
  int Running() const { return FRunning; }
  // Requests waiting.
  int Waiting() const { return FQueued - FRunning; }
  // Workers started in total.
  int Started() const { return FStarted; }
  // Completed transfers that failed.
  int Failed() const { return FFailed; }
  // Started since the last tick.
  int StartedThisTick() const { return FStartedThisTick; }
  // Bytes of completed transfers' bodies.
  qint64 BytesReceived() const { return FBytesReceived; }
  // Slots in the queue table and in the running table (they keep at least one each).
  int QueueSlotCount() const { return int(FQueue.size()); }
  int RunningSlotCount() const { return int(FRunningTable.size()); }
  // The current statistics record.
  TStatistics Statistics() const;
  // Builds the statistics record and hands it to the listener, when one is set.
  void ReportStatistics();
  // Sets (or clears, with an empty handler) the statistics listener.
  void SetOnStatistics(TStatisticsHandler handler) { FOnStatistics = std::move(handler); }

  // --- connection settings ---
  // The connection settings every client applies.
  TNetAccessConfig& NetAccessConfig() { return FNetAccessConfig; }
  const TNetAccessConfig& NetAccessConfig() const { return FNetAccessConfig; }
  // Configures any HTTP client from NetAccessConfig: proxy and its authentication, user agent.
  void ApplyNetAccessConfig(THTTPClient& client) const;

  // --- standard preparation handlers (pass them as onPrepare) ---
  // Web pages: follow redirects, accept cookies, 180 s read time-out, gzip/deflate, German.
  static void ConfigureWebRequest(THTTPThreadManager& manager, THTTPThread& worker);
  // The token refresh: follow redirects, 180 s read time-out, user agent "Quarn".
  static void ConfigurePing(THTTPThreadManager& manager, THTTPThread& worker);

 private:
  struct TQueueEntry {
    quint8 Priority = 0;
    TOwner Owner = nullptr;
    bool Running = false;
    std::unique_ptr<THTTPThreadData> Data;
    int Retry = 0;          // never used; requests are not retried
    quint64 CountedIn = 0;  // the owner registration that counts it, 0: none
  };
  struct TRunningEntry {
    THTTPThread* Worker = nullptr;
    int QueueIndex = -1;
  };
  struct TOwnerEntry {
    TOwner Owner = nullptr;
    TAllDoneHandler OnAllDone;
    TProgressHandler OnProgress;
    int Pending = 0;
    int Total = 0;
    quint64 Serial = 0;
  };

  bool CanStart() const;
  void Dispatch();
  bool StartOne();
  void Completion(THTTPThread& worker);
  int FindOwner(TOwner owner) const;
  int TakeQueueSlot();
  int TakeRunningSlot();
  void TrimTables();

  std::vector<std::optional<TQueueEntry>> FQueue;
  std::vector<std::optional<TRunningEntry>> FRunningTable;
  std::vector<std::optional<TOwnerEntry>> FOwners;
  int FMaxConcurentConnections = 15;
  int FMaxNewConnectionsIn5Sec = 20;
  int FStartedThisTick = 0;
  QTimer FTimer;
  int FQueued = 0;
  int FRunning = 0;
  int FStarted = 0;
  int FFailed = 0;
  int FOwnersNow = 0;
  int FOwnersTotal = 0;
  qint64 FBytesReceived = 0;
  std::array<int, 4> FRunningByPriority{};
  std::array<int, 4> FStartedByPriority{};
  quint64 FNextOwnerSerial = 1;
  qint64 FMaxBodyBytes;
  qint64 FMaxDecodedBytes;
  TStatisticsHandler FOnStatistics;
  TNetAccessConfig FNetAccessConfig;
  bool FDispatching = false;
};

// The process-wide scheduler, created on first use (on the GUI thread, after the
// application object exists).
THTTPThreadManager& HTTPThreadManager();
