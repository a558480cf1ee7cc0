#include <gtest/gtest.h>

#include <atomic>

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

// A self-freeing thread that its owner frees at the moment it ends: the
// owner's Free takes over and the object goes exactly once, whether the
// thread had finished or not.
TEST(Thread, FreeingASelfFreeingThreadFromOutsideFreesItOnce) {
  for (bool finishedFirst : {true, false}) {
    int destructions = 0;
    struct TCounted : TWorker {
      int* Count = nullptr;
      ~TCounted() override { ++*Count; }
    };
    auto* t = new TCounted;
    t->Count = &destructions;
    HANDLE go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    t->Body = [&](TWorker*) { WaitForSingleObject(go, 10000); };
    t->SetFreeOnTerminate(true);
    t->Start();
    if (finishedFirst) {
      // Ended, its free not yet served: the object is still there.
      SetEvent(go);
      while (!t->Finished()) Sleep(1);
      EXPECT_EQ(destructions, 0);
    }
    t->Free();
    SetEvent(go);
    EXPECT_EQ(destructions, 1);
    PumpFor(50);  // nothing is left to free
    EXPECT_EQ(destructions, 1);
    CloseHandle(go);
  }
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

// A synchronized call that ends at once (the worker is still watching for
// its end) and one that ends later (the worker has blocked by then) both
// hand back their result or their exception, every time, whether the GUI
// thread serves calls from its message pump or from WaitFor.
TEST(Thread, SynchronizedCallsEndingSoonOrLateGiveTheirResultOrException) {
  for (bool pumped : {true, false}) {
    const int kCalls = 400;
    std::atomic<int> wrong{0};
    auto* t = new TWorker;
    t->Body = [&](TWorker* w) {
      for (int i = 0; i < kCalls; ++i) {
        // One call in 20 keeps the GUI thread long past the worker's watch.
        const bool late = i % 20 == 7;
        const bool raise = i % 3 == 1;
        int got = -1;
        String caught;
        try {
          w->Sync([&, i] {
            if (late) Sleep(5);
            if (raise) throw Exception(L"call " + IntToStr(i));
            got = i * 7;
          });
        } catch (const Exception& e) {
          caught = e.Message();
        }
        bool right = raise ? caught == L"call " + IntToStr(i) && got == -1 : caught.empty() && got == i * 7;
        if (!right) ++wrong;
      }
    };
    t->Start();
    if (pumped)
      ASSERT_TRUE(PumpUntil([&] { return t->Finished(); }, 30000));
    else
      t->WaitFor();
    EXPECT_EQ(wrong.load(), 0) << (pumped ? "message pump" : "WaitFor");
    EXPECT_FALSE(t->FatalException());
    t->Free();
  }
}

// Runs until told to terminate, calling the GUI thread on every pass; records
// whether Execute had ended when each part of the object was torn down.
class TLoopingWorker : public TThread {
 public:
  struct Log {
    std::atomic<bool> Running{false};
    bool EndedAtDestroy = false;
    bool EndedAtDestructor = false;
    bool ValueCleared = false;
  };
  explicit TLoopingWorker(Log* ALog) : TThread(true), FLog(ALog) {}
  ~TLoopingWorker() override {
    FLog->EndedAtDestructor = FEnded;
    FValue = 0;
  }

 protected:
  void Destroy() override {
    FLog->EndedAtDestroy = FEnded;
    TThread::Destroy();
  }
  void Execute() override {
    while (!Terminated()) {
      if (FValue != 42) FLog->ValueCleared = true;
      FLog->Running = true;
      Synchronize([] {});
    }
    FEnded = true;
  }

 private:
  Log* FLog;
  int FValue = 42;
  std::atomic<bool> FEnded{false};
};

TEST(Thread, FreeEndsTheRunningThreadBeforeTheDerivedPartIsTornDown) {
  TLoopingWorker::Log log;
  auto* t = new TLoopingWorker(&log);
  t->Start();
  ASSERT_TRUE(PumpUntil([&] { return log.Running.load(); }));
  t->Free();  // the worker is inside Synchronize or about to call it
  EXPECT_TRUE(log.EndedAtDestroy);
  EXPECT_TRUE(log.EndedAtDestructor);
  EXPECT_FALSE(log.ValueCleared);
}

// A member whose initialiser takes a while: a thread started by the base
// constructor runs Execute before it is set.
HANDLE gExecuteBegan = nullptr;

class TSlowInitWorker : public TThread {
 public:
  explicit TSlowInitWorker(bool CreateSuspended) : TThread(CreateSuspended), FValue(SlowFortyTwo()) {}
  std::atomic<int> Seen{-1};

 protected:
  void Execute() override {
    Seen = FValue;
    SetEvent(gExecuteBegan);
  }

 private:
  static int SlowFortyTwo() {
    WaitForSingleObject(gExecuteBegan, 300);  // long enough for an early start to show
    return 42;
  }
  int FValue;
};

TEST(Thread, ANotSuspendedThreadStartsOnlyOnTheFinishedObject) {
  gExecuteBegan = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  auto* t = New<TSlowInitWorker>(false);
  EXPECT_TRUE(t->Started());
  t->WaitFor();
  EXPECT_EQ(t->Seen, 42);
  t->Free();
  CloseHandle(gExecuteBegan);
  gExecuteBegan = nullptr;
}

TEST(Thread, AThreadNeverStartedRunsNothingAndCannotBeWaitedFor) {
  gExecuteBegan = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  bool terminated = false;
  auto* t = new TSlowInitWorker(false);  // plain new: waits for Start
  t->OnTerminate = [&](TObject*) { terminated = true; };
  EXPECT_FALSE(t->Started());
  EXPECT_THROW(t->WaitFor(), EThread);
  t->Free();
  EXPECT_EQ(WaitForSingleObject(gExecuteBegan, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_FALSE(terminated);
  CloseHandle(gExecuteBegan);
  gExecuteBegan = nullptr;
}

class TFailingWorker : public TThread {
 public:
  TFailingWorker() : TThread(false) { throw Exception(L"no socket"); }

 protected:
  void Execute() override { ADD_FAILURE() << "Execute ran on a failed object"; }
};

TEST(Thread, AThreadWhoseConstructorFailsIsReleasedWithoutRunning) {
  EXPECT_THROW(New<TFailingWorker>(), Exception);
}

TEST(Thread, WaitForHandlesMessagesTheWorkerSends) {
  HWND target = Application->Handle();
  auto* t = new TWorker;
  LRESULT answer = -1;
  t->Body = [&](TWorker*) { answer = SendMessageW(target, WM_NULL, 0, 0); };
  t->Start();
  t->WaitFor();
  EXPECT_EQ(answer, 0);
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
