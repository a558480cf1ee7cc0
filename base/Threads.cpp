#include "base/Threads.h"

#include <deque>
#include <mutex>

namespace {

DWORD gMainThreadID = 0;

struct SyncRequest {
  std::function<void()> Method;
  std::exception_ptr Error;
  HANDLE Done = nullptr;
};

std::mutex gSyncLock;
std::deque<SyncRequest*> gSyncQueue;
HANDLE gSyncEvent = nullptr;  // manual reset: set while the queue is not empty

HANDLE EnsureSyncEvent() {
  static std::once_flag once;
  std::call_once(once, [] { gSyncEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr); });
  return gSyncEvent;
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
    {
      std::lock_guard<std::mutex> lock(gSyncLock);
      if (gSyncQueue.empty()) {
        ResetEvent(EnsureSyncEvent());
        break;
      }
      req = gSyncQueue.front();
      gSyncQueue.pop_front();
    }
    any = true;
    try {
      req->Method();
    } catch (...) {
      req->Error = std::current_exception();
    }
    SetEvent(req->Done);
  }
  return any;
}

// ---------------------------------------------------------------------------

TThread::TThread(bool CreateSuspended) {
  FHandle = CreateThread(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &FThreadID);
  if (!FHandle) throw EThread(L"Thread creation error: %s", {SysErrorMessage(GetLastError())});
  if (!CreateSuspended) Start();
}

TThread::~TThread() {
  if (FHandle) {
    if (GetCurrentThreadId() != FThreadID) {
      if (!FFinished) {
        Terminate();
        if (!FStarted) Start();
        WaitFor();
      }
    }
    CloseHandle(FHandle);
  }
}

void TThread::Start() {
  if (FStarted) return;
  FStarted = true;
  ResumeThread(FHandle);
}

DWORD TThread::WaitFor() {
  if (GetCurrentThreadId() == FThreadID) throw EThread(L"Cannot wait for a thread from itself");
  if (GetCurrentThreadId() == gMainThreadID) {
    HANDLE handles[2] = {FHandle, EnsureSyncEvent()};
    for (;;) {
      DWORD r = WaitForMultipleObjects(2, handles, FALSE, INFINITE);
      if (r == WAIT_OBJECT_0 + 1) {
        CheckSynchronize();
        continue;
      }
      break;
    }
  } else {
    WaitForSingleObject(FHandle, INFINITE);
  }
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
  req.Done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  {
    std::lock_guard<std::mutex> lock(gSyncLock);
    gSyncQueue.push_back(&req);
    SetEvent(EnsureSyncEvent());
  }
  if (WakeMainThread) WakeMainThread();
  WaitForSingleObject(req.Done, INFINITE);
  CloseHandle(req.Done);
  if (req.Error) std::rethrow_exception(req.Error);
}

void TThread::DoTerminate() {
  if (OnTerminate) Synchronize([this] { OnTerminate(this); });
}

DWORD WINAPI TThread::ThreadProc(LPVOID Param) {
  auto* self = static_cast<TThread*>(Param);
  try {
    if (!self->FTerminated) self->Execute();
  } catch (...) {
    self->FFatalException = std::current_exception();
  }
  bool freeThread = self->FFreeOnTerminate;
  DWORD result = static_cast<DWORD>(self->FReturnValue);
  try {
    self->DoTerminate();
  } catch (...) {
    // An exception in the termination handler does not keep the thread alive.
  }
  self->FFinished = true;
  if (freeThread) self->Free();
  return result;
}
