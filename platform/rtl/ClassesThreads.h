// Threads and hidden utility windows of the Classes unit:
// - the main thread (MainThreadID, SetMainThread) and the IsMultiThread flag;
// - TThread over CreateThread, with Synchronize and Queue to the main thread;
// - the synchronisation queue served by CheckSynchronize, its event SyncEvent
//   and the wake-up event that tells the application's message loop;
// - the handler that receives exceptions no callback may let out, and
//   GuardCallback, which every callback Windows calls runs its work in;
// - AllocateHWnd / DeallocateHWnd, hidden windows whose messages go to a
//   method.
//
// The main thread is the thread that first asks for it: creating a TThread,
// Synchronize, Queue and CheckSynchronize all ask. The program's start-up
// pins it at once with SetMainThread, before any other thread can be the
// first to ask.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <type_traits>

#include "platform/rtl/System.h"
#include "platform/rtl/SystemEvents.h"

namespace rtl {

RTL_DECLARE_EXCEPTION(EThread, Exception);

// A parameterless method, and a counted parameterless procedure (a lambda
// keeps what it captures alive until it has run).
using TThreadMethod = TMethod<void()>;
using TThreadProcedure = std::function<void()>;

// The main thread's id; the first caller becomes the main thread unless
// SetMainThread has named one.
DWORD MainThreadID();
// Makes the calling thread the main thread.
void SetMainThread();

// Set once a second thread may run: memory and reference counts are then
// shared between threads. Nothing ever clears it.
inline constinit std::atomic<bool> IsMultiThread{false};

class TThread : public TObject {
  RTL_CLASS(TThread, TObject)

 public:
  // Processor times since start-up, in 100-nanosecond units, as GetCPUUsage
  // last saw them.
  struct TSystemTimes {
    std::uint64_t IdleTime;
    std::uint64_t UserTime;
    std::uint64_t KernelTime;
    std::uint64_t NiceTime;
  };

  // The thread is made suspended; unless ACreateSuspended it starts once
  // construction has finished (AfterConstruction), so Execute never sees a
  // half-made object. Raises EThread when Windows refuses a thread.
  void Create(bool ACreateSuspended);
  void AfterConstruction() override;
  // Stops a thread still running (Terminate, start it when it never started,
  // wait) before any Destroy body frees what Execute may be using.
  void BeforeDestruction() override;
  void Destroy() override;

  // Starts a thread created suspended; raises EThread when it was started
  // already.
  void Start();
  // Asks Execute to end; Execute polls Terminated.
  void Terminate();
  // Waits for the thread's end and answers its ReturnValue. On the main thread
  // the wait runs the calls the thread synchronises meanwhile and lets sent
  // messages through, so a thread that calls Synchronize or touches a window
  // of the main thread still ends. Raises EThread for a thread that frees
  // itself (the object may be gone while we wait), for the calling thread
  // itself and for a thread never started.
  DWORD WaitFor();

  HANDLE Handle() const { return FHandle; }
  DWORD ThreadID() const { return FThreadID; }
  bool Finished() const { return FFinished; }
  bool Started() const { return FStarted; }
  // What Execute raised; empty when it ended normally.
  std::exception_ptr FatalException() const { return FFatalException; }

  // A thread that frees itself is touched by nobody else, except to take the
  // freeing over: FreeOnTerminate False, then WaitFor and Free. The main
  // thread may do so while the thread runs Execute or waits for its
  // OnTerminate; once that has run, the thread may be gone.
  bool GetFreeOnTerminate() const { return FFreeOnTerminate; }
  void SetFreeOnTerminate(bool AValue) { FFreeOnTerminate = AValue; }
  // Runs on the main thread (through Synchronize) after Execute, with the
  // thread as Sender.
  TNotifyEvent GetOnTerminate() const { return FOnTerminate; }
  void SetOnTerminate(TNotifyEvent AValue) { FOnTerminate = AValue; }

  // Runs the call on the main thread and waits for it; what it raises is
  // raised again here. On the main thread it runs at once. AThread may be
  // nullptr (a thread that is no TThread); it is the Sender of the wake-up.
  static void Synchronize(TThread* AThread, TThreadMethod AMethod);
  static void Synchronize(TThread* AThread, TThreadProcedure AProcedure);
  // Queues the call for the main thread and returns at once; on the main
  // thread it runs at once. What a queued call raises goes to the callback
  // exception handler with AThread as Sender.
  static void Queue(TThread* AThread, TThreadMethod AMethod);
  static void Queue(TThread* AThread, TThreadProcedure AProcedure);
  // Drops the calls AThread queued that have not run yet; a TThread does this
  // when it goes, so no queued call reaches a freed thread.
  static void RemoveQueuedEvents(TThread* AThread);

  static int ProcessorCount();
  // Percentage of processor time spent outside the idle loop since the times
  // in APrevSystemTimes, which receive the current times. The first call with
  // a zeroed record measures since start-up.
  static int GetCPUUsage(TSystemTimes& APrevSystemTimes);

 protected:
  virtual void Execute() = 0;
  // Called on the thread after Execute: runs OnTerminate through Synchronize.
  virtual void DoTerminate();

  void Synchronize(TThreadMethod AMethod) { Synchronize(this, AMethod); }
  void Synchronize(TThreadProcedure AProcedure) { Synchronize(this, std::move(AProcedure)); }
  void Queue(TThreadMethod AMethod) { Queue(this, AMethod); }
  void Queue(TThreadProcedure AProcedure) { Queue(this, std::move(AProcedure)); }

  bool Terminated() const { return FTerminated; }
  int GetReturnValue() const { return FReturnValue; }
  void SetReturnValue(int AValue) { FReturnValue = AValue; }

 private:
  static DWORD WINAPI ThreadProc(LPVOID AParameter);
  void CallOnTerminate();
  void StopAndWait();

  HANDLE FHandle = nullptr;
  DWORD FThreadID = 0;
  bool FCreateSuspended = false;
  std::atomic<bool> FStarted{false};
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FFinished{false};
  std::atomic<bool> FFreeOnTerminate{false};
  int FReturnValue = 0;
  std::exception_ptr FFatalException;
  TNotifyEvent FOnTerminate;
};

// Runs the calls queued for the main thread: those there when it is called,
// in the order they were queued; first waits up to ATimeout milliseconds for
// one to arrive. Answers whether any ran. Raises EThread on another thread.
bool CheckSynchronize(DWORD ATimeout = 0);

// The run-time's synchronisation event: manual reset, signalled while calls
// wait for the main thread. A main thread that waits for something else
// includes it in its wait (MsgWaitForMultipleObjects) and runs
// CheckSynchronize when it fires.
HANDLE SyncEvent();

// Called, on the queueing thread, each time a call is queued for the main
// thread, with the queueing TThread (or nullptr) as Sender. The application
// object posts a message to its window here, so that a main thread idle in
// its message loop runs CheckSynchronize. Unassigned, nobody is woken.
// Replacing the handler waits until calls of the old one still running on
// other threads have returned, so its owner may go once SetWakeMainThread
// returns; the handler must therefore never wait for the main thread.
TNotifyEvent GetWakeMainThread();
void SetWakeMainThread(TNotifyEvent AValue);

// The application object's exception handler, for exceptions raised in
// callbacks that must not let them out (window procedures, queued calls). It
// is called inside the catch block, so std::current_exception() is the
// exception. Unassigned, the exception is written to the debugger's output
// and dropped.
TNotifyEvent GetApplicationHandleException();
void SetApplicationHandleException(TNotifyEvent AValue);
// Call inside a catch block: hands the exception to the handler; never
// raises.
void HandleCallbackException(TObject* ASender) noexcept;

// The one way into the system's code from a callback Windows calls (window
// and dialog procedures, enumerations, hooks, timer procedures, COM methods):
// an exception must not unwind through Windows' frames, so what ABody raises
// goes to the application's handler (with ASender) and the callback answers
// AFallback instead.
template <class R, class F>
  requires std::is_convertible_v<std::invoke_result_t<F&>, R>
R GuardCallback(R AFallback, F&& ABody, TObject* ASender = nullptr) noexcept
{
  try {
    return ABody();
  } catch (...) {
    HandleCallbackException(ASender);
    return AFallback;
  }
}

// The same for a callback that answers nothing.
template <class F>
  requires std::is_void_v<std::invoke_result_t<F&>>
void GuardCallback(F&& ABody, TObject* ASender = nullptr) noexcept
{
  try {
    ABody();
  } catch (...) {
    HandleCallbackException(ASender);
  }
}

// A hidden top-level window (class "TPUtilWindow", owned by the calling
// thread) whose every message goes to AMethod. The method answers each
// message itself: it calls DefWindowProcW for the messages it leaves alone.
// Broadcasts such as WM_SETTINGCHANGE reach it. An exception out of the
// method goes to the callback exception handler and the message answers 0.
HWND AllocateHWnd(TWndMethod AMethod);
// Destroys the window; the method still receives WM_DESTROY and
// WM_NCDESTROY. Nil does nothing.
void DeallocateHWnd(HWND AWnd);

}  // namespace rtl
