#include "core/net/HTTPThreadManager.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <algorithm>
#include <exception>

#include "core/net/HTTPClient.h"
#include "core/net/HTTPThread.h"

namespace {

Q_LOGGING_CATEGORY(lcScheduler, "quarn.net.scheduler")

constexpr quint8 kHighestPriority = 3;

// Runs a caller's handler. A handler that throws must not leave its request
// running for ever, so the error is logged and the completion goes on.
template <typename F>
void RunHandler(const char* what, F&& call) {
  try {
    call();
  } catch (const std::exception& e) {
    qCWarning(lcScheduler) << what << "handler failed:" << e.what();
  } catch (...) {
    qCWarning(lcScheduler) << what << "handler failed with an unknown error";
  }
}

}  // namespace

std::array<qint32, 14> THTTPThreadManager::TStatistics::Values() const {
  return {Running,         Started,    RunningHigh, StartedHigh,  RunningMedium,
          StartedMedium,   RunningLow, StartedLow,  Failed,       Waiting,
          StartedThisTick, OwnersNow,  OwnersTotal, BytesReceived};
}

THTTPThreadManager::THTTPThreadManager(int tickIntervalMs, QObject* parent)
    : QObject(parent),
      FMaxBodyBytes(THTTPClient::kDefaultMaxBodyBytes),
      FMaxDecodedBytes(THTTPThread::kDefaultMaxDecodedBytes) {
  FQueue.resize(1);
  FRunningTable.resize(1);
  FOwners.resize(1);
  connect(&FTimer, &QTimer::timeout, this, &THTTPThreadManager::Tick);
  SetTickInterval(tickIntervalMs);
}

THTTPThreadManager::~THTTPThreadManager() {
  FTimer.stop();
  // Nobody is left to hear about these transfers: cut them short and free them.
  for (auto& slot : FRunningTable)
    if (slot) slot->Worker->Abort();
  for (auto& slot : FRunningTable) {
    if (!slot) continue;
    slot->Worker->wait();
    delete slot->Worker;
    slot.reset();
  }
}

void THTTPThreadManager::SetTickInterval(int ms) {
  if (ms <= 0) {
    FTimer.stop();
    return;
  }
  FTimer.start(ms);
}

void THTTPThreadManager::SetBodyLimits(qint64 maxBodyBytes, qint64 maxDecodedBytes) {
  FMaxBodyBytes = maxBodyBytes;
  FMaxDecodedBytes = maxDecodedBytes;
}

// --- tables ---

int THTTPThreadManager::TakeQueueSlot() {
  for (int i = int(FQueue.size()) - 1; i >= 0; --i)
    if (!FQueue[i]) return i;
  FQueue.emplace_back();
  return int(FQueue.size()) - 1;
}

int THTTPThreadManager::TakeRunningSlot() {
  for (int i = int(FRunningTable.size()) - 1; i >= 0; --i)
    if (!FRunningTable[i]) return i;
  FRunningTable.emplace_back();
  return int(FRunningTable.size()) - 1;
}

int THTTPThreadManager::FindOwner(TOwner owner) const {
  if (!owner) return -1;
  for (int i = 0; i < int(FOwners.size()); ++i)
    if (FOwners[i] && FOwners[i]->Owner == owner) return i;
  return -1;
}

void THTTPThreadManager::TrimTables() {
  while (FRunningTable.size() > 1 && !FRunningTable.back())
    FRunningTable.pop_back();
  while (FQueue.size() > 1 && !FQueue.back())
    FQueue.pop_back();
}

// --- requests and owners ---

void THTTPThreadManager::Enqueue(TOwner owner, const QString& url,
                                 std::optional<QByteArray> postData, TPrepareHandler onPrepare,
                                 TDoneHandler onDone, const QString& tag, bool keepBinary,
                                 quint8 priority) {
  auto data = std::make_unique<THTTPThreadData>();
  data->OnDone = std::move(onDone);
  data->URL = url;
  data->KeepBinary = keepBinary;
  data->OnPrepare = std::move(onPrepare);
  data->Tag = tag;
  data->PostData = std::move(postData);

  const int slot = TakeQueueSlot();
  TQueueEntry entry;
  // Priorities above the highest would index past the per-priority counters.
  entry.Priority = std::min(priority, kHighestPriority);
  entry.Owner = owner;
  entry.Data = std::move(data);
  if (const int o = FindOwner(owner); o >= 0) {
    ++FOwners[o]->Pending;
    ++FOwners[o]->Total;
    entry.CountedIn = FOwners[o]->Serial;
  }
  FQueue[slot] = std::move(entry);
  ++FQueued;
  ReportStatistics();
  Dispatch();
}

void THTTPThreadManager::RegisterOwner(TOwner owner, TAllDoneHandler onAllDone,
                                       TProgressHandler onProgress) {
  if (!owner) return;
  if (const int o = FindOwner(owner); o >= 0) {
    FOwners[o]->OnAllDone = std::move(onAllDone);
    FOwners[o]->OnProgress = std::move(onProgress);
    return;
  }
  int slot = -1;
  for (int i = 0; i < int(FOwners.size()) && slot < 0; ++i)
    if (!FOwners[i]) slot = i;
  if (slot < 0) {
    FOwners.emplace_back();
    slot = int(FOwners.size()) - 1;
  }
  TOwnerEntry entry;
  entry.Owner = owner;
  entry.OnAllDone = std::move(onAllDone);
  entry.OnProgress = std::move(onProgress);
  entry.Serial = FNextOwnerSerial++;
  FOwners[slot] = std::move(entry);
  ++FOwnersNow;
  ++FOwnersTotal;
  ReportStatistics();
}

void THTTPThreadManager::UnregisterOwner(TOwner owner) {
  if (FindOwner(owner) < 0) return;
  CancelOwner(owner);
  // The statistics listener ran meanwhile; look the owner up again.
  const int slot = FindOwner(owner);
  if (slot < 0) return;
  FOwners[slot].reset();
  --FOwnersNow;
  ReportStatistics();
}

void THTTPThreadManager::CancelOwner(TOwner owner) {
  for (auto& slot : FRunningTable) {
    if (!slot) continue;
    const auto& entry = FQueue[slot->QueueIndex];
    if (entry && entry->Owner == owner) slot->Worker->Terminate();
  }
  const int o = FindOwner(owner);
  for (auto& entry : FQueue) {
    if (!entry || entry->Running || entry->Owner != owner) continue;
    if (o >= 0 && entry->CountedIn == FOwners[o]->Serial) {
      --FOwners[o]->Pending;
      --FOwners[o]->Total;
    }
    entry.reset();
    --FQueued;
  }
  ReportStatistics();
}

int THTTPThreadManager::CountForOwner(TOwner owner) const {
  return int(std::count_if(FQueue.begin(), FQueue.end(),
                           [owner](const auto& e) { return e && e->Owner == owner; }));
}

bool THTTPThreadManager::IsOwnerRegistered(TOwner owner) const {
  return FindOwner(owner) >= 0;
}

int THTTPThreadManager::OwnerPending(TOwner owner) const {
  const int o = FindOwner(owner);
  return o < 0 ? 0 : FOwners[o]->Pending;
}

int THTTPThreadManager::OwnerTotal(TOwner owner) const {
  const int o = FindOwner(owner);
  return o < 0 ? 0 : FOwners[o]->Total;
}

// --- limits, tick, statistics ---

void THTTPThreadManager::SetMaxNewConnections(int n) {
  const int old = FMaxNewConnectionsIn5Sec;
  FMaxNewConnectionsIn5Sec = n;
  if (n > old) Dispatch();
}

void THTTPThreadManager::Tick() {
  ReportStatistics();
  FStartedThisTick = 0;
  Dispatch();
}

THTTPThreadManager::TStatistics THTTPThreadManager::Statistics() const {
  TStatistics s;
  s.Running = FRunning;
  s.Started = FStarted;
  s.RunningHigh = FRunningByPriority[3];
  s.StartedHigh = FStartedByPriority[3];
  s.RunningMedium = FRunningByPriority[2];
  s.StartedMedium = FStartedByPriority[2];
  s.RunningLow = FRunningByPriority[1];
  s.StartedLow = FStartedByPriority[1];
  s.Failed = FFailed;
  s.Waiting = FQueued - FRunning;
  s.StartedThisTick = FStartedThisTick;
  s.OwnersNow = FOwnersNow;
  s.OwnersTotal = FOwnersTotal;
  s.BytesReceived = qint32(quint32(quint64(FBytesReceived) & 0xffffffffu));
  return s;
}

void THTTPThreadManager::ReportStatistics() {
  if (!FOnStatistics) return;
  const TStatistics s = Statistics();
  auto listener = FOnStatistics;
  RunHandler("OnStatistics", [&] { listener(*this, s); });
}

// --- connection settings ---

void THTTPThreadManager::ApplyNetAccessConfig(THTTPClient& client) const {
  FNetAccessConfig.ApplyTo(client);
}

void THTTPThreadManager::ConfigureWebRequest(THTTPThreadManager&, THTTPThread& worker) {
  THTTPClient& client = worker.Client();
  client.FollowRedirects = true;
  client.AcceptCookies = true;
  client.ReadTimeoutMs = 180000;
  // Asked for by header only: the worker decodes, curl must not.
  client.SetRequestHeader("Accept-Encoding", "gzip, deflate");
  client.SetRequestHeader("Accept-Language", "de");
}

void THTTPThreadManager::ConfigurePing(THTTPThreadManager&, THTTPThread& worker) {
  THTTPClient& client = worker.Client();
  client.FollowRedirects = true;
  client.ReadTimeoutMs = 180000;
  client.UserAgent = QStringLiteral("Quarn");
}

// --- starting ---

bool THTTPThreadManager::CanStart() const {
  return FQueued - FRunning > 0 && FRunning < FMaxConcurentConnections &&
         FStartedThisTick < FMaxNewConnectionsIn5Sec;
}

void THTTPThreadManager::Dispatch() {
  // A preparation handler may enqueue; the loop below picks that request up.
  if (FDispatching) return;
  FDispatching = true;
  while (CanStart() && StartOne()) {
  }
  FDispatching = false;
}

bool THTTPThreadManager::StartOne() {
  int chosen = -1;
  quint8 best = 0;
  for (int i = 0; i < int(FQueue.size()); ++i) {
    const auto& entry = FQueue[i];
    if (!entry || entry->Running || entry->Priority <= best) continue;
    chosen = i;
    best = entry->Priority;
    if (best == kHighestPriority) break;
  }
  if (chosen < 0) return false;

  // The entry counts as running from here on, so nothing a preparation handler
  // does (cancel, enqueue) removes or picks it meanwhile.
  FQueue[chosen]->Running = true;
  const THTTPThreadData& data = *FQueue[chosen]->Data;
  auto* worker = new THTTPThread(data.URL);
  worker->SetKeepBinary(data.KeepBinary);
  worker->SetTag(data.Tag);
  worker->SetPostData(data.PostData);
  worker->SetMaxDecodedBytes(FMaxDecodedBytes);
  worker->Client().MaxBodyBytes = FMaxBodyBytes;
  ApplyNetAccessConfig(worker->Client());
  worker->SetEndHandler(this, [this](THTTPThread& w) { Completion(w); });
  const int runSlot = TakeRunningSlot();
  FRunningTable[runSlot] = TRunningEntry{worker, chosen};

  bool prepared = true;
  if (auto prepare = data.OnPrepare) {
    prepared = false;
    RunHandler("OnPrepare", [&] {
      prepare(*this, *worker);
      prepared = true;
    });
  }
  if (!prepared) {
    // A request that cannot be prepared is dropped without any handler; its owner
    // stops waiting for it.
    FRunningTable[runSlot].reset();
    delete worker;
    TQueueEntry& entry = *FQueue[chosen];
    if (const int o = FindOwner(entry.Owner); o >= 0 && entry.CountedIn == FOwners[o]->Serial) {
      --FOwners[o]->Pending;
      if (--FOwners[o]->Total <= 0 || FOwners[o]->Pending <= 0) FOwners[o]->Total = 0;
    }
    FQueue[chosen].reset();
    --FQueued;
    TrimTables();
    ReportStatistics();
    return false;
  }

  const quint8 priority = FQueue[chosen]->Priority;
  worker->start();
  ++FStartedThisTick;
  ++FRunning;
  ++FStarted;
  ++FRunningByPriority[priority];
  ++FStartedByPriority[priority];
  ReportStatistics();
  return true;
}

// --- completion, on the GUI thread ---

void THTTPThreadManager::Completion(THTTPThread& worker) {
  --FRunning;
  int runSlot = -1;
  for (int i = 0; i < int(FRunningTable.size()) && runSlot < 0; ++i)
    if (FRunningTable[i] && FRunningTable[i]->Worker == &worker) runSlot = i;
  if (runSlot < 0) {
    ReportStatistics();
    Dispatch();
    return;
  }
  const int queueIndex = FRunningTable[runSlot]->QueueIndex;
  const bool cancelled = worker.Terminated();
  // Handlers may enqueue, cancel or unregister; tables may grow meanwhile, so
  // everything below goes by index, and this entry stays in place until step 6.
  const TOwner owner = FQueue[queueIndex]->Owner;
  const quint64 countedIn = FQueue[queueIndex]->CountedIn;
  const quint8 priority = FQueue[queueIndex]->Priority;

  if (!cancelled) {
    if (auto onDone = FQueue[queueIndex]->Data->OnDone)
      RunHandler("OnDone", [&] { onDone(worker); });
    if (!worker.Completed()) ++FFailed;
    FBytesReceived += worker.ResponseSize();
  }

  // Only a request counted in the owner's current registration counts down;
  // one enqueued before it registered (or in an earlier registration) does not.
  if (const int o = FindOwner(owner); o >= 0 && countedIn == FOwners[o]->Serial) {
    TOwnerEntry& reg = *FOwners[o];
    --reg.Pending;
    if (reg.Pending <= 0) {
      reg.Pending = 0;
      reg.Total = 0;
      if (!cancelled && reg.OnAllDone) {
        auto onAllDone = reg.OnAllDone;
        RunHandler("OnAllDone", [&] { onAllDone(owner); });
      }
    } else if (!cancelled && reg.OnProgress && reg.Total > 0) {
      const int percent = 100 - (reg.Pending * 100) / reg.Total;
      auto onProgress = reg.OnProgress;
      RunHandler("OnProgress", [&] { onProgress(*this, percent); });
    }
  }

  --FRunningByPriority[priority];
  FRunningTable[runSlot].reset();
  FQueue[queueIndex].reset();
  --FQueued;
  TrimTables();

  // The worker's thread has handed itself over and is about to end.
  worker.wait();
  delete &worker;
}

// --- the process-wide instance ---

namespace {
THTTPThreadManager* gManager = nullptr;
}

THTTPThreadManager& HTTPThreadManager() {
  if (!gManager) {
    gManager = new THTTPThreadManager();
    // Freed with the application object; transfers still running are cut short.
    qAddPostRoutine([] {
      delete gManager;
      gManager = nullptr;
    });
  }
  return *gManager;
}
