#include <gtest/gtest.h>

#include "base/ExtCtrls.h"
#include "base/Threads.h"
#include "tests/support/Gui.h"

namespace {

class TWorker : public TThread {
 public:
  std::function<void(TWorker*)> Body;
  bool* Destroyed = nullptr;
  TWorker() : TThread(true) {}
  ~TWorker() override {
    if (Destroyed) *Destroyed = true;
  }
  void Sync(const std::function<void()>& fn) { Synchronize(fn); }

 protected:
  void Execute() override {
    if (Body) Body(this);
  }
};

TEST(Thread, SynchronizedCallRunsOnTheGuiThreadWhileItPumps) {
  DWORD ranOn = 0;
  auto* t = new TWorker;
  t->Body = [&](TWorker* w) { w->Sync([&] { ranOn = GetCurrentThreadId(); }); };
  t->Start();
  ASSERT_TRUE(PumpUntil([&] { return t->Finished(); }));
  EXPECT_EQ(ranOn, GetCurrentThreadId());
  t->Free();
}

TEST(Thread, ExceptionInSynchronizedCallIsRaisedInTheWorkerAndEndsIt) {
  bool reachedAfter = false;
  auto* t = new TWorker;
  t->Body = [&](TWorker* w) {
    w->Sync([] { throw Exception(L"boom"); });
    reachedAfter = true;
  };
  t->Start();
  ASSERT_TRUE(PumpUntil([&] { return t->Finished(); }));
  EXPECT_FALSE(reachedAfter);
  ASSERT_TRUE(t->FatalException());
  try {
    std::rethrow_exception(t->FatalException());
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"boom");
  }
  t->Free();
}

TEST(Thread, OnTerminateRunsOnTheGuiThreadBeforeTheSelfFree) {
  bool destroyed = false;
  bool aliveInHandler = false;
  DWORD handlerThread = 0;
  auto* t = new TWorker;
  t->Destroyed = &destroyed;
  t->SetFreeOnTerminate(true);
  t->OnTerminate = [&](TObject*) {
    handlerThread = GetCurrentThreadId();
    aliveInHandler = !destroyed;
  };
  t->Start();
  ASSERT_TRUE(PumpUntil([&] { return destroyed; }));
  EXPECT_EQ(handlerThread, GetCurrentThreadId());
  EXPECT_TRUE(aliveInHandler);
}

TEST(Thread, WaitForServesSynchronizedCallsWithoutAMessageLoop) {
  int calls = 0;
  auto* t = new TWorker;
  t->Body = [&](TWorker* w) {
    for (int i = 0; i < 3; ++i) w->Sync([&] { ++calls; });
  };
  t->Start();
  t->WaitFor();
  EXPECT_EQ(calls, 3);
  t->Free();
}

TEST(Timer, RunsOnlyWithIntervalHandlerAndEnabled) {
  auto* t = new TTimer(nullptr);
  EXPECT_FALSE(t->Running());  // no handler yet
  t->SetOnTimer([](TObject*) {});
  EXPECT_TRUE(t->Running());
  t->SetInterval(0);
  EXPECT_FALSE(t->Running());
  t->SetInterval(50);
  EXPECT_TRUE(t->Running());
  t->SetEnabled(false);
  EXPECT_FALSE(t->Running());
  t->Free();
}

TEST(Timer, TicksAndCanFreeItsOwnerFromItsTick) {
  int ticks = 0;
  auto* owner = new TComponent(nullptr);
  auto* t = new TTimer(owner);
  t->SetInterval(10);
  t->SetOnTimer([&](TObject*) {
    ++ticks;
    owner->Free();
  });
  ASSERT_TRUE(PumpUntil([&] { return ticks > 0; }));
  PumpFor(100);
  EXPECT_EQ(ticks, 1);
}

TEST(Timer, ATickQueuedBeforeARestartIsIgnored) {
  int ticks = 0;
  auto* t = new TTimer(nullptr);
  t->SetInterval(10);
  t->SetOnTimer([&](TObject*) { ++ticks; });
  // Let a tick be queued, then restart the timer before it is handled: the
  // old id no longer fires, the new one counts from zero.
  Sleep(30);
  t->SetEnabled(false);
  MSG m;
  while (PeekMessageW(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) DispatchMessageW(&m);
  EXPECT_EQ(ticks, 0);
  t->SetEnabled(true);
  ASSERT_TRUE(PumpUntil([&] { return ticks > 0; }));
  t->Free();
}

}  // namespace
