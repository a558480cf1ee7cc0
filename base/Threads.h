// Worker threads whose calls can be marshalled to the GUI thread, and the
// critical section.
#pragma once

#include <atomic>
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
// Called after a call was queued, to wake the GUI thread when it is not in
// the message loop's idle wait (the application posts a message to its
// utility window; modal loops wake by it).
extern void (*WakeMainThread)();
// Auto-reset, set when calls were queued; the GUI thread's own waits (the
// idle wait below, WaitFor) wake by it.
HANDLE SyncEvent();
// The idle wait of the GUI thread's message loop: until a message arrives
// or a call is queued (returns at once when one waits already). Calls queued
// meanwhile set only the event, without a wake-up message.
void WaitForMessageOrSynchronize();

// A worker thread: derive, override Execute, and start it once the object is
// whole.
//
//   auto* t = new TMyThread(true, ...);  // created suspended: nothing runs yet
//   t->OnTerminate = ...;                // set it up
//   t->Start();                          // Execute begins on the worker
//
// The system thread is made in the constructor but never runs before Start:
// a base constructor never runs Execute on an unfinished object. A thread
// created not suspended starts from AfterConstruction, that is when it is
// made with New<TMyThread>(false, ...); made with plain new, it waits for
// Start like a suspended one.
//
// Ending: when Execute returns (or raises; the exception is kept as
// FatalException), OnTerminate runs on the GUI thread through Synchronize;
// then the thread is Finished, and a FreeOnTerminate thread is freed by the
// GUI thread when it next serves Synchronize calls (on its own thread when
// there is no GUI thread). Until then its owner may still free it from the
// GUI thread: that Free takes over, and the object is freed once. Free of a running thread first
// sets Terminated and waits for Execute to end (serving Synchronize calls
// meanwhile), before any Destroy override or destructor runs, so derived
// classes free what Execute uses in Destroy or their destructor without
// races. A thread that was never started is freed without running Execute
// or OnTerminate.
class TThread : public TObject {
  VANTREL_CLASS(TThread)
 public:
  explicit TThread(bool CreateSuspended);

  // Starts a thread created not suspended (see New<T>).
  void AfterConstruction() override;
  // Lets Execute begin; does nothing once started.
  void Start();
  // Asks Execute to end: it polls Terminated().
  void Terminate() { FTerminated = true; }
  bool Terminated() const { return FTerminated; }
  // Execute and OnTerminate are over.
  bool Finished() const { return FFinished; }
  bool Started() const { return FStarted; }
  // Waits until the thread has ended; on the GUI thread it serves
  // Synchronize calls and messages sent from other threads meanwhile.
  // Returns the thread's exit code (ReturnValue). Raises EThread when called
  // from the thread itself, before Start, or on a FreeOnTerminate thread.
  DWORD WaitFor();

  bool FreeOnTerminate() const { return FFreeOnTerminate; }
  void SetFreeOnTerminate(bool Value) { FFreeOnTerminate = Value; }
  HANDLE Handle() const { return FHandle; }
  DWORD ThreadID() const { return FThreadID; }
  int ReturnValue() const { return FReturnValue; }
  // The exception that ended Execute, if any (read it once Finished).
  std::exception_ptr FatalException() const { return FFatalException; }

  // Runs Method on the GUI thread and waits for it; an exception in it is
  // raised again here. Called from the GUI thread itself, it runs at once.
  static void Synchronize(TThread* Thread, const std::function<void()>& Method);

  // Runs on the GUI thread after Execute ended (through Synchronize).
  TNotifyEvent OnTerminate;

 protected:
  // Closes the thread's handle; a thread whose derived constructor failed is
  // released without running.
  ~TThread() override;
  // Terminates and waits for a running thread before the Destroy chain.
  void BeforeDestruction() final;
  virtual void Execute() = 0;
  virtual void DoTerminate();
  void Synchronize(const std::function<void()>& Method) { Synchronize(this, Method); }
  void SetReturnValue(int Value) { FReturnValue = Value; }

 private:
  static DWORD WINAPI ThreadProc(LPVOID Param);
  // Ends a thread that never ran: it leaves at once, touching nothing.
  void Discard();
  void WaitForHandle();

  HANDLE FHandle = nullptr;
  DWORD FThreadID = 0;
  bool FCreateSuspended = true;
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FFinished{false};
  std::atomic<bool> FStarted{false};
  std::atomic<bool> FDiscarded{false};
  std::atomic<bool> FFreeOnTerminate{false};
  std::atomic<int> FReturnValue{0};
  std::exception_ptr FFatalException;
};
