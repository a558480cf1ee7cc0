// Worker threads whose calls can be marshalled to the GUI thread, and the
// critical section.
#pragma once

#include <exception>
#include <functional>

#include "base/Object.h"

class TCriticalSection : public TObject {
  VANTREL_CLASS(TCriticalSection)
 public:
  TCriticalSection() { InitializeCriticalSection(&FSection); }
  ~TCriticalSection() override { DeleteCriticalSection(&FSection); }
  void Enter() { EnterCriticalSection(&FSection); }
  void Leave() { LeaveCriticalSection(&FSection); }
  bool TryEnter() { return TryEnterCriticalSection(&FSection) != 0; }
  void Acquire() { Enter(); }
  void Release() { Leave(); }

 private:
  CRITICAL_SECTION FSection;
};

// The GUI thread: the thread that started the units.
DWORD MainThreadID();
void SetMainThreadID(DWORD id);

// Serves the calls that workers queued with Synchronize. Runs on the GUI
// thread only; returns true when at least one call ran. The message loop,
// ProcessMessages, modal loops (through the wake-up message) and WaitFor call
// it.
bool CheckSynchronize();
// Called after a call was queued, to wake the GUI thread (the application
// posts a message to its utility window).
extern void (*WakeMainThread)();
// Signalled while calls are queued; WaitFor-style loops wait on it.
HANDLE SyncEvent();

class TThread : public TObject {
  VANTREL_CLASS(TThread)
 public:
  explicit TThread(bool CreateSuspended);
  // Waits for an unfinished thread after telling it to end.
  ~TThread() override;

  void Start();
  void Terminate() { FTerminated = true; }
  bool Terminated() const { return FTerminated; }
  bool Finished() const { return FFinished; }
  bool Started() const { return FStarted; }
  // Waits until Execute has ended; on the GUI thread it serves Synchronize
  // calls meanwhile. Returns the thread's ReturnValue.
  DWORD WaitFor();

  bool FreeOnTerminate() const { return FFreeOnTerminate; }
  void SetFreeOnTerminate(bool Value) { FFreeOnTerminate = Value; }
  HANDLE Handle() const { return FHandle; }
  DWORD ThreadID() const { return FThreadID; }
  int ReturnValue() const { return FReturnValue; }
  // The exception that ended Execute, if any.
  std::exception_ptr FatalException() const { return FFatalException; }

  // Runs Method on the GUI thread and waits for it; an exception in it is
  // raised again here. Called from the GUI thread itself, it runs at once.
  static void Synchronize(TThread* Thread, const std::function<void()>& Method);

  // Runs on the GUI thread after Execute ended (through Synchronize).
  TNotifyEvent OnTerminate;

 protected:
  virtual void Execute() = 0;
  virtual void DoTerminate();
  void Synchronize(const std::function<void()>& Method) { Synchronize(this, Method); }
  void SetReturnValue(int Value) { FReturnValue = Value; }

 private:
  static DWORD WINAPI ThreadProc(LPVOID Param);

  HANDLE FHandle = nullptr;
  DWORD FThreadID = 0;
  volatile bool FTerminated = false;
  volatile bool FFinished = false;
  bool FStarted = false;
  bool FFreeOnTerminate = false;
  int FReturnValue = 0;
  std::exception_ptr FFatalException;
};
