// The scheduler's rules: limits, tick, priorities, slots, owners, cancellation.
// Every transfer goes to a local server whose "/hold" answers wait until the
// test lets them go; the tick is driven by hand.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <stdexcept>

#include "core/net/HTTPThread.h"
#include "core/net/HTTPThreadManager.h"
#include "net/LocalHttpServer.h"

namespace {

bool WaitFor(const std::function<bool()>& condition, int ms = 10000) {
  return QTest::qWaitFor(condition, ms);
}

bool OnGuiThread() {
  return QThread::currentThread() == QCoreApplication::instance()->thread();
}

class SchedulerTest : public ::testing::Test {
 protected:
  void SetUp() override { Server.Start(); }
  void TearDown() override { Server.ReleaseAll(); }

  QString Hold(const QString& id) { return Server.Url("/hold?id=" + id.toStdString()); }
  void EnqueueHold(const QString& id, quint8 priority = 1,
                   THTTPThreadManager::TOwner owner = nullptr,
                   THTTPThreadManager::TDoneHandler onDone = {}) {
    Manager.Enqueue(owner, Hold(id), std::nullopt, {}, std::move(onDone), id, true, priority);
  }
  // Lets every transfer end and ticks until the queue is empty.
  void Drain() {
    Server.ReleaseAll();
    ASSERT_TRUE(WaitFor([&] {
      Manager.Tick();
      return Manager.Queued() == 0;
    }));
  }

  TLocalHttpServer Server;
  THTTPThreadManager Manager{0};  // no timer: the test ticks
};

// 30 requests of priority 1 at once: the running limit and the per-tick limit,
// and completions that free places without starting anything before the tick.
struct LimitCase {
  const char* Name;
  int MaxConcurrent;
  int StartAtOnce;
  int FinishBeforeTick;
  int StartedByTick;
};

void PrintTo(const LimitCase& c, std::ostream* os) {
  *os << c.Name;
}

class SchedulerLimitTest : public SchedulerTest, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(SchedulerLimitTest, StartsWithinBothLimitsAndWaitsForTheTick) {
  const LimitCase& c = GetParam();
  Manager.SetMaxConcurentConnections(c.MaxConcurrent);
  for (int i = 0; i < 30; ++i)
    EnqueueHold(QString::number(i));

  EXPECT_EQ(Manager.Running(), c.StartAtOnce);
  EXPECT_EQ(Manager.Waiting(), 30 - c.StartAtOnce);
  EXPECT_EQ(Manager.StartedThisTick(), c.StartAtOnce);
  ASSERT_TRUE(Server.WaitForArrivals(c.StartAtOnce));

  Server.Release(c.FinishBeforeTick);
  ASSERT_TRUE(WaitFor([&] { return Manager.Queued() == 30 - c.FinishBeforeTick; }));
  QTest::qWait(200);  // time enough for a wrongly started transfer to arrive
  EXPECT_EQ(Server.Arrivals(), c.StartAtOnce);
  EXPECT_EQ(Manager.Running(), c.StartAtOnce - c.FinishBeforeTick);

  Manager.Tick();
  EXPECT_EQ(Manager.StartedThisTick(), c.StartedByTick);
  EXPECT_EQ(Manager.Running(), c.StartAtOnce - c.FinishBeforeTick + c.StartedByTick);
  EXPECT_TRUE(Server.WaitForArrivals(c.StartAtOnce + c.StartedByTick));
  Drain();
  EXPECT_EQ(Manager.Started(), 30);
  EXPECT_EQ(Manager.Failed(), 0);
  EXPECT_EQ(Manager.QueueSlotCount(), 1);
  EXPECT_EQ(Manager.RunningSlotCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Limits, SchedulerLimitTest,
                         ::testing::Values(LimitCase{"DefaultLimits", 15, 15, 5, 5},
                                           LimitCase{"ThirtyAtOnce", 30, 20, 0, 10}),
                         [](const auto& info) { return std::string(info.param.Name); });

// Runs one request at a time, ticking after each, and returns the server's arrival order.
std::vector<std::string> StartOneByOne(TLocalHttpServer& server, THTTPThreadManager& manager,
                                       int count) {
  server.ReleaseAll();
  manager.SetMaxConcurentConnections(1);
  manager.SetMaxNewConnections(20);
  for (int done = 0; done < count; ++done) {
    if (!WaitFor([&] { return server.Arrivals() == done + 1; })) break;
    WaitFor([&] { return manager.Running() == 0; });
    manager.Tick();
  }
  return server.Log();
}

TEST_F(SchedulerTest, HighestPriorityStartsFirst) {
  Manager.SetMaxNewConnections(0);
  EnqueueHold("low", 1);
  EnqueueHold("high", 3);
  EnqueueHold("medium", 2);
  EnqueueHold("urgent", 200);  // counts as high
  EXPECT_EQ(Manager.QueueSlotCount(), 4);
  EXPECT_EQ(StartOneByOne(Server, Manager, 4),
            (std::vector<std::string>{"high", "urgent", "medium", "low"}));
  EXPECT_EQ(Manager.Statistics().StartedHigh, 2);
  EXPECT_EQ(Manager.Statistics().StartedMedium, 1);
  EXPECT_EQ(Manager.Statistics().StartedLow, 1);
}

TEST_F(SchedulerTest, LowerSlotWinsAmongEqualPrioritiesAndPriorityZeroNeverStarts) {
  THTTPThreadManager::TStatistics last;
  Manager.SetOnStatistics([&](THTTPThreadManager&, const auto& s) { last = s; });
  Manager.SetMaxNewConnections(0);
  int filler = 0;
  for (int i = 0; i < 5; ++i)
    EnqueueHold("filler", 0, &filler);
  Manager.CancelOwner(&filler);  // five empty slots, 0 to 4
  EXPECT_EQ(Manager.QueueSlotCount(), 5);
  EXPECT_EQ(Manager.Queued(), 0);

  EnqueueHold("slot4", 2);  // new entries take the highest empty slot
  EnqueueHold("never-a", 0);
  EnqueueHold("never-b", 0);
  EnqueueHold("slot1", 2);
  EXPECT_EQ(StartOneByOne(Server, Manager, 2), (std::vector<std::string>{"slot1", "slot4"}));

  for (int i = 0; i < 3; ++i)
    Manager.Tick();
  QTest::qWait(100);
  EXPECT_EQ(Server.Arrivals(), 2);
  EXPECT_EQ(Manager.Waiting(), 2);
  EXPECT_EQ(Manager.Running(), 0);
  EXPECT_EQ(last.Waiting, 2);
  EXPECT_EQ(last.Values()[9], 2);
  EXPECT_EQ(last.StartedMedium, 2);
  EXPECT_EQ(last.Started, 2);
}

TEST_F(SchedulerTest, OwnerProgressThenAllDoneOnTheGuiThread) {
  int owner = 0;
  std::vector<int> progress;
  int allDone = 0;
  int done = 0;
  bool allOnGuiThread = true;
  Manager.RegisterOwner(
      &owner,
      [&](THTTPThreadManager::TOwner o) {
        allOnGuiThread = allOnGuiThread && OnGuiThread();
        EXPECT_EQ(o, &owner);
        ++allDone;
      },
      [&](THTTPThreadManager&, int percent) {
        allOnGuiThread = allOnGuiThread && OnGuiThread();
        progress.push_back(percent);
      });
  for (int i = 0; i < 4; ++i) {
    EnqueueHold(QString::number(i), 2, &owner, [&](THTTPThread& w) {
      allOnGuiThread = allOnGuiThread && OnGuiThread();
      EXPECT_TRUE(w.Completed()) << w.ErrorText().toStdString();
      ++done;
    });
  }
  EXPECT_EQ(Manager.OwnerPending(&owner), 4);
  EXPECT_EQ(Manager.OwnerTotal(&owner), 4);
  EXPECT_EQ(Manager.CountForOwner(&owner), 4);
  ASSERT_TRUE(Server.WaitForArrivals(4));
  for (int i = 1; i <= 4; ++i) {
    Server.Release(1);
    ASSERT_TRUE(WaitFor([&] { return done == i; }));
  }
  EXPECT_EQ(progress, (std::vector<int>{25, 50, 75}));
  EXPECT_EQ(allDone, 1);
  EXPECT_TRUE(allOnGuiThread);
  EXPECT_EQ(Manager.OwnerPending(&owner), 0);
  EXPECT_EQ(Manager.OwnerTotal(&owner), 0);
  EXPECT_EQ(Manager.CountForOwner(&owner), 0);
  EXPECT_EQ(Manager.Statistics().OwnersNow, 1);

  Manager.UnregisterOwner(&owner);
  Manager.UnregisterOwner(&owner);  // unknown by now: nothing happens
  EXPECT_FALSE(Manager.IsOwnerRegistered(&owner));
  EXPECT_EQ(Manager.Statistics().OwnersNow, 0);
  EXPECT_EQ(Manager.Statistics().OwnersTotal, 1);
}

TEST_F(SchedulerTest, CancelledOwnerHearsNothing) {
  int owner = 0;
  int calls = 0;
  Manager.SetMaxConcurentConnections(1);
  Manager.RegisterOwner(
      &owner, [&](auto) { ++calls; }, [&](auto&, int) { ++calls; });
  for (int i = 0; i < 3; ++i)
    EnqueueHold(QString::number(i), 1, &owner, [&](auto&) { ++calls; });
  ASSERT_TRUE(Server.WaitForArrivals(1));
  EXPECT_EQ(Manager.Running(), 1);

  Manager.CancelOwner(&owner);
  EXPECT_EQ(Manager.CountForOwner(&owner), 1);  // the running one stays until it ends
  EXPECT_EQ(Manager.Queued(), 1);
  EXPECT_EQ(Manager.Waiting(), 0);
  EXPECT_EQ(Manager.OwnerPending(&owner), 1);

  Server.Release(1);
  ASSERT_TRUE(WaitFor([&] { return Manager.Queued() == 0; }));
  Manager.Tick();
  QTest::qWait(100);
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(Manager.Failed(), 0);
  EXPECT_EQ(Manager.BytesReceived(), 0);
  EXPECT_EQ(Server.Arrivals(), 1);
  EXPECT_EQ(Manager.OwnerPending(&owner), 0);
  EXPECT_EQ(Manager.OwnerTotal(&owner), 0);
}

TEST_F(SchedulerTest, RaisingTheNewConnectionLimitStartsWaitingRequests) {
  Manager.SetMaxConcurentConnections(100);
  for (int i = 0; i < 30; ++i)
    EnqueueHold(QString::number(i));
  EXPECT_EQ(Manager.Running(), 20);

  Manager.SetMaxNewConnections(10);  // lower: nothing happens
  EXPECT_EQ(Manager.Running(), 20);
  Manager.SetMaxNewConnections(25);
  EXPECT_EQ(Manager.Running(), 25);
  Manager.SetMaxNewConnections(30);
  EXPECT_EQ(Manager.Running(), 30);
  EXPECT_EQ(Manager.Waiting(), 0);
  EXPECT_TRUE(Server.WaitForArrivals(30));
  Drain();
}

// An error thrown by a handler is logged; the completion still finishes, so the
// entry does not stay "running" for ever and the owner still hears all-done.
TEST_F(SchedulerTest, ThrowingHandlersDoNotLeaveRequestsRunning) {
  int owner = 0;
  int allDone = 0;
  int progress = 0;
  int done = 0;
  Manager.RegisterOwner(
      &owner, [&](auto) { ++allDone; },
      [&](auto&, int) {
        ++progress;
        throw std::runtime_error("progress handler fails");
      });
  for (int i = 0; i < 2; ++i) {
    EnqueueHold(QString::number(i), 1, &owner, [&](auto&) {
      ++done;
      throw std::runtime_error("completion handler fails");
    });
  }
  Server.Release(1);
  ASSERT_TRUE(WaitFor([&] { return Manager.Queued() == 1; }));
  Server.Release(1);
  ASSERT_TRUE(WaitFor([&] { return Manager.Queued() == 0; }));
  EXPECT_EQ(done, 2);
  EXPECT_EQ(progress, 1);
  EXPECT_EQ(allDone, 1);
  EXPECT_EQ(Manager.Running(), 0);
  EXPECT_EQ(Manager.RunningSlotCount(), 1);
  EXPECT_EQ(Manager.OwnerPending(&owner), 0);
}

// A request enqueued before its owner registered was never counted for it and
// must not count down the registration (that would end in a negative pending
// count and a division by a zero total).
TEST_F(SchedulerTest, RequestsFromBeforeRegistrationDoNotCountForTheOwner) {
  int owner = 0;
  int allDone = 0;
  std::vector<int> progress;
  EnqueueHold("before", 1, &owner);
  ASSERT_TRUE(Server.WaitForArrivals(1));  // so it is the first to be let go
  Manager.RegisterOwner(
      &owner, [&](auto) { ++allDone; }, [&](auto&, int percent) { progress.push_back(percent); });
  EnqueueHold("after", 1, &owner);
  EXPECT_EQ(Manager.OwnerPending(&owner), 1);
  ASSERT_TRUE(Server.WaitForArrivals(2));

  Server.Release(1);  // "before" arrived first
  ASSERT_TRUE(WaitFor([&] { return Manager.Queued() == 1; }));
  EXPECT_EQ(allDone, 0);
  EXPECT_EQ(Manager.OwnerPending(&owner), 1);

  Server.Release(1);
  ASSERT_TRUE(WaitFor([&] { return Manager.Queued() == 0; }));
  EXPECT_EQ(allDone, 1);
  EXPECT_TRUE(progress.empty());
  EXPECT_EQ(Manager.OwnerPending(&owner), 0);
  EXPECT_EQ(Manager.OwnerTotal(&owner), 0);
}

TEST_F(SchedulerTest, FailingPreparationDropsTheRequestSilently) {
  int owner = 0;
  int calls = 0;
  Manager.RegisterOwner(&owner, [&](auto) { ++calls; }, {});
  Manager.Enqueue(
      &owner, Hold("x"), std::nullopt,
      [](THTTPThreadManager&, THTTPThread&) { throw std::runtime_error("cannot prepare"); },
      [&](auto&) { ++calls; }, "x", true, 2);
  EXPECT_EQ(Manager.Queued(), 0);
  EXPECT_EQ(Manager.Running(), 0);
  EXPECT_EQ(Manager.OwnerPending(&owner), 0);
  EXPECT_EQ(Manager.OwnerTotal(&owner), 0);
  QTest::qWait(100);
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(Server.Arrivals(), 0);
}

// At the end of the run transfers still waiting on a server are cut short, no
// handler runs and nothing waits for the server.
TEST_F(SchedulerTest, DestroyingTheSchedulerCutsRunningTransfersShort) {
  int calls = 0;
  auto manager = std::make_unique<THTTPThreadManager>(0);
  for (int i = 0; i < 3; ++i)
    manager->Enqueue(
        nullptr, Hold("late"), std::nullopt, {}, [&](auto&) { ++calls; }, {}, true, 1);
  ASSERT_TRUE(Server.WaitForArrivals(3));
  QElapsedTimer timer;
  timer.start();
  manager.reset();
  EXPECT_LT(timer.elapsed(), 3000);
  QTest::qWait(50);
  EXPECT_EQ(calls, 0);
}

}  // namespace
