#include "base/Threads.h"

#include <deque>
#include <mutex>

namespace {

DWORD gMainThreadID = 0;

// Where a worker's synchronized call stands. The worker first watches the
// state for a short while (the GUI thread usually answers within tens of
// microseconds) and only then blocks on its event; the GUI thread sets the
// event only for a worker that blocks. Under wine each event set and each
// wait is a call to the wineserver, and a blocked worker must be woken
// again before it can go on.
enum : LONG { kSyncWatching = 0, kSyncBlocked = 1, kSyncDone = 2 };

struct SyncRequest {
  std::function<void()> Method;
  std::exception_ptr Error;
  HANDLE Done = nullptr;
  std::atomic<LONG> State{kSyncWatching};
};

// How long a worker watches for its call's end before it blocks.
constexpr LONGLONG kSyncWatchMicroseconds = 500;

// A slim lock: held only for a few instructions, and, unlike the runtime's
// mutex, waited for without a call to the wineserver when it is contended.
struct TSyncLock {
  SRWLOCK Lock = SRWLOCK_INIT;
  void lock() { AcquireSRWLockExclusive(&Lock); }
  void unlock() { ReleaseSRWLockExclusive(&Lock); }
};

TSyncLock gSyncLock;
std::deque<SyncRequest*> gSyncQueue;
// Self-freeing threads that have finished, freed by the GUI thread; under
// gSyncLock.
std::deque<TThread*> gPendingFrees;
// Auto-reset: set when something was queued since the GUI thread last woke
// by it. Only the GUI thread waits for it.
HANDLE gSyncEvent = nullptr;
// Under gSyncLock: whether gSyncEvent is set (so that it is set only once
// for many calls queued, each setting a call to the system), and whether
// the GUI thread waits idle for it together with its messages, so that the
// event alone wakes it.
bool gSyncEventSet = false;
bool gIdleWaiting = false;

HANDLE EnsureSyncEvent() {
  static std::once_flag once;
  std::call_once(once, [] { gSyncEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr); });
  return gSyncEvent;
}

// How the GUI thread is to learn that something was queued for it.
struct TSignal {
  bool SetEvent = false;  // the event is to be set (once the lock is left)
  bool Post = false;      // a wake-up message is needed as well
};

// Under gSyncLock, after something was queued for the GUI thread: whether
// the event must be set and whether the GUI thread must also be woken by a
// message (it is not waiting for the event, for example in a modal loop).
// The event is set after the lock is left (Wake): a GUI thread woken by it
// must not find the lock still held by the thread that woke it.
TSignal SignalQueued() {
  TSignal signal;
  // A set event that the GUI thread has not yet taken wakes it all the same.
  if (!gSyncEventSet) {
    gSyncEventSet = true;
    signal.SetEvent = true;
  }
  signal.Post = !gIdleWaiting;
  return signal;
}

// Outside gSyncLock: wakes the GUI thread as SignalQueued decided.
void Wake(const TSignal& Signal) {
  if (Signal.SetEvent) SetEvent(EnsureSyncEvent());
  if (Signal.Post && WakeMainThread) WakeMainThread();
}

// The worker's side of a queued call: watches the call's state for a short
// while, then blocks on Event until the GUI thread sets it.
void AwaitDone(SyncRequest& Req, HANDLE Event) {
  static const LONGLONG frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
  }();
  LARGE_INTEGER start, now;
  QueryPerformanceCounter(&start);
  const LONGLONG limit = frequency * kSyncWatchMicroseconds / 1000000;
  for (unsigned pass = 1;; ++pass) {
    if (Req.State.load(std::memory_order_acquire) == kSyncDone) return;
    if (pass % 16 == 0) {
      // Another thread that wants this processor gets it.
      SwitchToThread();
      QueryPerformanceCounter(&now);
      if (now.QuadPart - start.QuadPart >= limit) break;
    } else {
      YieldProcessor();
    }
  }
  LONG expected = kSyncWatching;
  if (!Req.State.compare_exchange_strong(expected, kSyncBlocked, std::memory_order_acq_rel)) return;  // done meanwhile
  WaitForSingleObject(Event, INFINITE);
}

// The worker's own event that its synchronized call is done, made once per
// thread: a call per datagram need not make and close an event each time.
HANDLE DoneEvent() {
  struct TDoneEvent {
    HANDLE Handle = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    ~TDoneEvent() {
      if (Handle) CloseHandle(Handle);
    }
  };
  static thread_local TDoneEvent done;
  return done.Handle;
}

}  // namespace

void (*WakeMainThread)() = nullptr;

DWORD MainThreadID() { return gMainThreadID; }
void SetMainThreadID(DWORD id) { gMainThreadID = id; }
HANDLE SyncEvent() { return EnsureSyncEvent(); }

bool CheckSynchronize() {
  if (GetCurrentThreadId() != gMainThreadID) return false;
  bool any = false;
  for (;;) {
    SyncRequest* req = nullptr;
    TThread* finished = nullptr;
    {
      std::lock_guard<TSyncLock> lock(gSyncLock);
      if (!gPendingFrees.empty()) {
        finished = gPendingFrees.front();
        gPendingFrees.pop_front();
      } else if (gSyncQueue.empty()) {
        break;
      } else {
        req = gSyncQueue.front();
        gSyncQueue.pop_front();
      }
    }
    any = true;
    if (finished) {
      finished->Free();
      continue;
    }
    try {
      req->Method();
    } catch (...) {
      req->Error = std::current_exception();
    }
    // Once the state says done, the worker may return and its request is
    // gone: the event is read first, and set only for a worker that blocks.
    HANDLE done = req->Done;
    if (req->State.exchange(kSyncDone, std::memory_order_acq_rel) == kSyncBlocked) SetEvent(done);
  }
  return any;
}

void WaitForMessageOrSynchronize() {
  HANDLE event = EnsureSyncEvent();
  {
    std::lock_guard<TSyncLock> lock(gSyncLock);
    if (!gSyncQueue.empty() || !gPendingFrees.empty()) return;
    gIdleWaiting = true;
  }
  DWORD r = MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_ALLINPUT);
  std::lock_guard<TSyncLock> lock(gSyncLock);
  gIdleWaiting = false;
  if (r == WAIT_OBJECT_0) gSyncEventSet = false;
}

// ---------------------------------------------------------------------------

TThread::TThread(bool CreateSuspended) : FCreateSuspended(CreateSuspended) {
  // Always made suspended: Execute never runs inside a constructor.
  FHandle = CreateThread(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &FThreadID);
  if (!FHandle) throw EThread(L"Thread creation error: %s", {SysErrorMessage(GetLastError())});
}

TThread::~TThread() {
  if (!FHandle) return;
  // A derived constructor failed, or the object is released without Free.
  if (GetCurrentThreadId() != FThreadID) {
    if (!FStarted) Discard();
  }
  CloseHandle(FHandle);
}

void TThread::AfterConstruction() {
  if (!FCreateSuspended) Start();
}

void TThread::Start() {
  if (FStarted.exchange(true)) return;
  ResumeThread(FHandle);
}

void TThread::Discard() {
  FDiscarded = true;
  FStarted = true;
  ResumeThread(FHandle);
  WaitForSingleObject(FHandle, INFINITE);
}

void TThread::BeforeDestruction() {
  if (GetCurrentThreadId() == FThreadID) return;  // freeing itself
  // Freed by its owner: the thread must not free itself as well, nor may a
  // free of it wait in the GUI thread's queue. Both are decided under the
  // queue's lock, which the thread's end takes too.
  {
    std::lock_guard<TSyncLock> lock(gSyncLock);
    FFreeOnTerminate = false;
    std::erase(gPendingFrees, this);
  }
  if (!FStarted) {
    Discard();
    return;
  }
  if (!FFinished) Terminate();
  WaitForHandle();
}

void TThread::WaitForHandle() {
  if (GetCurrentThreadId() != gMainThreadID) {
    WaitForSingleObject(FHandle, INFINITE);
    return;
  }
  // The GUI thread serves the worker's synchronized calls and the messages
  // it sends while it waits, or neither would ever end.
  HANDLE handles[2] = {FHandle, EnsureSyncEvent()};
  for (;;) {
    DWORD r = MsgWaitForMultipleObjects(2, handles, FALSE, INFINITE, QS_SENDMESSAGE);
    if (r == WAIT_OBJECT_0) break;
    if (r == WAIT_OBJECT_0 + 1) {
      {
        std::lock_guard<TSyncLock> lock(gSyncLock);
        gSyncEventSet = false;
      }
      CheckSynchronize();
    } else if (r == WAIT_OBJECT_0 + 2) {
      MSG m;
      PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    } else {
      break;  // a failed wait: the handle is gone
    }
  }
}

DWORD TThread::WaitFor() {
  if (GetCurrentThreadId() == FThreadID) throw EThread(L"Cannot wait for a thread from itself");
  if (!FStarted) throw EThread(L"Cannot wait for a thread that was never started");
  if (FFreeOnTerminate) throw EThread(L"Cannot wait for a thread that frees itself");
  WaitForHandle();
  DWORD code = 0;
  GetExitCodeThread(FHandle, &code);
  return code;
}

void TThread::Synchronize(TThread*, const std::function<void()>& Method) {
  if (GetCurrentThreadId() == gMainThreadID || gMainThreadID == 0) {
    Method();
    return;
  }
  SyncRequest req;
  req.Method = Method;
  req.Done = DoneEvent();
  TSignal signal;
  {
    std::lock_guard<TSyncLock> lock(gSyncLock);
    gSyncQueue.push_back(&req);
    signal = SignalQueued();
  }
  Wake(signal);
  AwaitDone(req, req.Done);
  if (req.Error) std::rethrow_exception(req.Error);
}

void TThread::DoTerminate() {
  if (OnTerminate) Synchronize([this] { OnTerminate(this); });
}

DWORD WINAPI TThread::ThreadProc(LPVOID Param) {
  auto* self = static_cast<TThread*>(Param);
  if (self->FDiscarded) return 0;  // never started: the object is going away
  try {
    if (!self->FTerminated) self->Execute();
  } catch (...) {
    self->FFatalException = std::current_exception();
  }
  try {
    self->DoTerminate();
  } catch (...) {
    // An exception in the termination handler does not keep the thread alive.
  }
  DWORD result = static_cast<DWORD>(self->FReturnValue);
  // Whether the thread frees itself is settled under the queue's lock, as an
  // owner's Free settles it: never both. With a GUI thread the free is
  // queued for it, so an owner's Free on the GUI thread meanwhile finds the
  // object alive and takes the free over; after the lock is left the object
  // is not touched again.
  bool freeHere = false;
  TSignal signal;
  {
    std::lock_guard<TSyncLock> lock(gSyncLock);
    if (self->FFreeOnTerminate.exchange(false)) {
      if (gMainThreadID != 0 && gMainThreadID != GetCurrentThreadId()) {
        gPendingFrees.push_back(self);
        signal = SignalQueued();
      } else {
        freeHere = true;
      }
    }
    self->FFinished = true;
  }
  Wake(signal);
  if (freeHere) self->Free();
  return result;
}
