#include "platform/rtl/ClassesThreads.h"

#include <deque>
#include <mutex>
#include <utility>

#include "platform/rtl/SysUtilsFormat.h"

namespace rtl {

namespace {

constinit std::atomic<DWORD> gMainThreadID{0};
// The thread whose Synchronize call the main thread is running now; touched
// on the main thread only.
constinit TThread* gSynchronizingThread = nullptr;

bool OnMainThread()
{
  return GetCurrentThreadId() == MainThreadID();
}

// Owns an event handle.
class EventHandle {
 public:
  explicit EventHandle(bool AManualReset) : FHandle(CreateEventW(nullptr, AManualReset, FALSE, nullptr))
  {
    if (!FHandle)
      RaiseLastOSError();
  }
  EventHandle(const EventHandle&) = delete;
  EventHandle& operator=(const EventHandle&) = delete;
  ~EventHandle() { CloseHandle(FHandle); }

  HANDLE Get() const { return FHandle; }

 private:
  HANDLE FHandle;
};

// A Synchronize caller waiting for its call to have run.
struct SyncWaiter {
  EventHandle Done{false};
  std::exception_ptr Error;
};

// One call for the main thread; Waiter is null for a queued call.
struct SyncCall {
  TThread* Thread;
  TThreadMethod Method;
  TThreadProcedure Procedure;
  SyncWaiter* Waiter;

  void Run() const
  {
    if (Method)
      Method();
    else if (Procedure)
      Procedure();
  }
};

struct SyncState {
  std::mutex Lock;
  std::deque<SyncCall> Calls;
  EventHandle Event{true};
  // Guards the wake-up handler and is held while it runs, so that replacing
  // it waits for calls still running on other threads. Recursive: a handler
  // may queue again.
  std::recursive_mutex WakeLock;
  TNotifyEvent WakeMainThread;
  TNotifyEvent HandleException;
};

// Never destroyed: a worker may still queue while the process exits, after
// function-local statics have gone.
SyncState& State()
{
  static SyncState* const state = new SyncState;
  return *state;
}

void WakeMainThread(TThread* AThread)
{
  // Held across the call: the handler's owner may go as soon as it has taken
  // the handler away.
  std::lock_guard wakeLock(State().WakeLock);
  TNotifyEvent wake = GetWakeMainThread();
  if (!wake)
    return;
  // The call is queued already, and a Synchronize caller's waiter lives on
  // its stack: nothing may unwind past the wait.
  try {
    wake(AThread);
  } catch (...) {
  }
}

void Enqueue(SyncCall ACall)
{
  TThread* const thread = ACall.Thread;
  SyncState& state = State();
  {
    std::lock_guard lock(state.Lock);
    state.Calls.push_back(std::move(ACall));
    SetEvent(state.Event.Get());
  }
  WakeMainThread(thread);
}

void SynchronizeCall(SyncCall ACall)
{
  if (OnMainThread()) {
    ACall.Run();
    return;
  }
  SyncWaiter waiter;
  ACall.Waiter = &waiter;
  Enqueue(std::move(ACall));
  WaitForSingleObject(waiter.Done.Get(), INFINITE);
  if (waiter.Error)
    std::rethrow_exception(waiter.Error);
}

void QueueCall(SyncCall ACall)
{
  if (OnMainThread()) {
    ACall.Run();
    return;
  }
  Enqueue(std::move(ACall));
}

void RunSyncCall(const SyncCall& ACall)
{
  if (ACall.Waiter) {
    TThread* const outer = std::exchange(gSynchronizingThread, ACall.Thread);
    try {
      ACall.Run();
    } catch (...) {
      ACall.Waiter->Error = std::current_exception();
    }
    gSynchronizingThread = outer;
    SetEvent(ACall.Waiter->Done.Get());
    return;
  }
  try {
    ACall.Run();
  } catch (...) {
    HandleCallbackException(ACall.Thread);
  }
}

// Waits for AHandle. The main thread keeps serving synchronised calls and
// sent messages meanwhile: the thread it waits for may need either to end.
void WaitForHandle(HANDLE AHandle)
{
  if (!OnMainThread()) {
    WaitForSingleObject(AHandle, INFINITE);
    return;
  }
  const HANDLE handles[] = {AHandle, SyncEvent()};
  for (;;) {
    switch (MsgWaitForMultipleObjects(2, handles, FALSE, INFINITE, QS_SENDMESSAGE)) {
      case WAIT_OBJECT_0:
        return;
      case WAIT_OBJECT_0 + 1:
        CheckSynchronize();
        break;
      case WAIT_OBJECT_0 + 2: {
        // Peeking delivers the sent messages; posted ones stay queued.
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
        break;
      }
      default:
        RaiseLastOSError();
    }
  }
}

std::uint64_t FileTimeValue(const FILETIME& ATime)
{
  return (static_cast<std::uint64_t>(ATime.dwHighDateTime) << 32) | ATime.dwLowDateTime;
}

}  // namespace

DWORD MainThreadID()
{
  DWORD id = gMainThreadID.load();
  if (id == 0) {
    DWORD expected = 0;
    id = GetCurrentThreadId();
    if (!gMainThreadID.compare_exchange_strong(expected, id))
      id = expected;
  }
  return id;
}

void SetMainThread()
{
  gMainThreadID.store(GetCurrentThreadId());
}

// ---------------------------------------------------------------------------
// TThread

void TThread::Create(bool ACreateSuspended)
{
  MainThreadID();
  IsMultiThread = true;
  FCreateSuspended = ACreateSuspended;
  FHandle = CreateThread(nullptr, 0, &ThreadProc, this, CREATE_SUSPENDED, &FThreadID);
  if (!FHandle)
    throw EThread(Format(L"Thread creation error: %s", {SysErrorMessage(GetLastError())}));
}

void TThread::AfterConstruction()
{
  inherited::AfterConstruction();
  if (!FCreateSuspended)
    Start();
}

void TThread::BeforeDestruction()
{
  StopAndWait();
  inherited::BeforeDestruction();
}

void TThread::Destroy()
{
  // New runs Destroy alone when construction fails.
  StopAndWait();
  if (FHandle)
    CloseHandle(FHandle);
  FHandle = nullptr;
  RemoveQueuedEvents(this);
  inherited::Destroy();
}

// Freed from outside, the thread must not also free itself, and its
// ThreadProc must have returned before the object goes, also when it is past
// Execute and synchronising OnTerminate. On the thread itself (a thread that
// frees itself) there is nothing to wait for, nor when its own OnTerminate
// frees it: the thread waits for that call, and after it touches the object
// no more.
void TThread::StopAndWait()
{
  if (!FHandle || GetCurrentThreadId() == FThreadID)
    return;
  if (FFinished && OnMainThread() && gSynchronizingThread == this)
    return;
  FFreeOnTerminate = false;
  Terminate();
  if (!FStarted.exchange(true))
    ResumeThread(FHandle);
  WaitForHandle(FHandle);
}

void TThread::Start()
{
  if (FStarted.exchange(true))
    throw EThread(L"Cannot call Start on a running or finished thread");
  if (ResumeThread(FHandle) == static_cast<DWORD>(-1))
    RaiseLastOSError();
}

void TThread::Terminate()
{
  FTerminated = true;
}

DWORD TThread::WaitFor()
{
  if (FFreeOnTerminate)
    throw EThread(L"Cannot call WaitFor on a thread that frees itself");
  if (GetCurrentThreadId() == FThreadID)
    throw EThread(L"A thread cannot wait for itself");
  if (!FStarted)
    throw EThread(L"Cannot call WaitFor on a thread that was never started");
  WaitForHandle(FHandle);
  DWORD exitCode = 0;
  if (!GetExitCodeThread(FHandle, &exitCode))
    RaiseLastOSError();
  return exitCode;
}

DWORD WINAPI TThread::ThreadProc(LPVOID AParameter)
{
  auto* thread = static_cast<TThread*>(AParameter);
  try {
    if (!thread->FTerminated)
      thread->Execute();
  } catch (...) {
    thread->FFatalException = std::current_exception();
  }
  // Read before DoTerminate: once OnTerminate has run, the owner may free a
  // thread that does not free itself.
  bool freeThread = thread->FFreeOnTerminate;
  const DWORD result = static_cast<DWORD>(thread->FReturnValue);
  thread->FFinished = true;
  try {
    thread->DoTerminate();
  } catch (...) {
    if (!thread->FFatalException)
      thread->FFatalException = std::current_exception();
  }
  // Nobody else frees a thread that frees itself, unless its owner takes that
  // over (FreeOnTerminate False, then WaitFor and Free), which it may have
  // done while this thread waited for the main thread to run OnTerminate.
  if (freeThread)
    freeThread = thread->FFreeOnTerminate;
  if (freeThread) {
    try {
      rtl::Free(thread);
    } catch (...) {
    }
  }
  return result;
}

void TThread::DoTerminate()
{
  if (FOnTerminate)
    Synchronize(TThreadMethod::Bind<&TThread::CallOnTerminate>(this));
}

void TThread::CallOnTerminate()
{
  if (FOnTerminate)
    FOnTerminate(this);
}

void TThread::Synchronize(TThread* AThread, TThreadMethod AMethod)
{
  SynchronizeCall({AThread, AMethod, nullptr, nullptr});
}

void TThread::Synchronize(TThread* AThread, TThreadProcedure AProcedure)
{
  SynchronizeCall({AThread, nullptr, std::move(AProcedure), nullptr});
}

void TThread::Queue(TThread* AThread, TThreadMethod AMethod)
{
  QueueCall({AThread, AMethod, nullptr, nullptr});
}

void TThread::Queue(TThread* AThread, TThreadProcedure AProcedure)
{
  QueueCall({AThread, nullptr, std::move(AProcedure), nullptr});
}

void TThread::RemoveQueuedEvents(TThread* AThread)
{
  SyncState& state = State();
  std::lock_guard lock(state.Lock);
  std::erase_if(state.Calls, [&](const SyncCall& ACall) { return !ACall.Waiter && ACall.Thread == AThread; });
}

int TThread::ProcessorCount()
{
  static const int count = [] {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return static_cast<int>(info.dwNumberOfProcessors);
  }();
  return count;
}

int TThread::GetCPUUsage(TSystemTimes& APrevSystemTimes)
{
  FILETIME idle, kernel, user;
  if (!GetSystemTimes(&idle, &kernel, &user))
    return 0;
  const TSystemTimes now{FileTimeValue(idle), FileTimeValue(user), FileTimeValue(kernel), 0};
  // Kernel time includes the idle time.
  const std::uint64_t total =
      (now.KernelTime - APrevSystemTimes.KernelTime) + (now.UserTime - APrevSystemTimes.UserTime);
  const std::uint64_t idleDelta = now.IdleTime - APrevSystemTimes.IdleTime;
  APrevSystemTimes = now;
  if (total == 0 || idleDelta >= total)
    return 0;
  return static_cast<int>((total - idleDelta) * 100 / total);
}

// ---------------------------------------------------------------------------
// The synchronisation queue

bool CheckSynchronize(DWORD ATimeout)
{
  if (!OnMainThread())
    throw EThread(Format(L"CheckSynchronize called from thread $%x, which is NOT the main thread",
                         {static_cast<unsigned>(GetCurrentThreadId())}));
  SyncState& state = State();
  if (ATimeout != 0)
    WaitForSingleObject(state.Event.Get(), ATimeout);

  // Only the calls there now: calls queued while these run wait for the next
  // round, so a busy worker cannot hold the main thread here. They are taken
  // one at a time, so a call that removes queued calls (RemoveQueuedEvents)
  // keeps them from running.
  std::size_t count;
  {
    std::lock_guard lock(state.Lock);
    ResetEvent(state.Event.Get());
    count = state.Calls.size();
  }
  bool ran = false;
  for (; count > 0; --count) {
    SyncCall call{};
    {
      std::lock_guard lock(state.Lock);
      if (state.Calls.empty())
        break;
      call = std::move(state.Calls.front());
      state.Calls.pop_front();
    }
    RunSyncCall(call);
    ran = true;
  }
  return ran;
}

HANDLE SyncEvent()
{
  return State().Event.Get();
}

TNotifyEvent GetWakeMainThread()
{
  SyncState& state = State();
  std::lock_guard lock(state.WakeLock);
  return state.WakeMainThread;
}

void SetWakeMainThread(TNotifyEvent AValue)
{
  SyncState& state = State();
  std::lock_guard lock(state.WakeLock);
  state.WakeMainThread = AValue;
}

TNotifyEvent GetApplicationHandleException()
{
  SyncState& state = State();
  std::lock_guard lock(state.Lock);
  return state.HandleException;
}

void SetApplicationHandleException(TNotifyEvent AValue)
{
  SyncState& state = State();
  std::lock_guard lock(state.Lock);
  state.HandleException = AValue;
}

void HandleCallbackException(TObject* ASender) noexcept
{
  try {
    if (TNotifyEvent handler = GetApplicationHandleException()) {
      handler(ASender);
      return;
    }
    throw;
  } catch (const Exception& e) {
    OutputDebugStringW(e.Message().c_str());
  } catch (...) {
  }
}

// ---------------------------------------------------------------------------
// Hidden utility windows

namespace {

constexpr wchar_t kUtilWindowClass[] = L"TPUtilWindow";
// The method's code and data live in the window's extra bytes.
constexpr int kMethodCodeSlot = 0;
constexpr int kMethodDataSlot = sizeof(LONG_PTR);

TWndMethod WindowMethod(HWND AWnd)
{
  return TWndMethod::FromRaw({reinterpret_cast<void*>(GetWindowLongPtrW(AWnd, kMethodCodeSlot)),
                              reinterpret_cast<void*>(GetWindowLongPtrW(AWnd, kMethodDataSlot))});
}

void SetWindowMethod(HWND AWnd, TWndMethod AMethod)
{
  const TMethodRaw raw = AMethod.Raw();
  SetWindowLongPtrW(AWnd, kMethodCodeSlot, reinterpret_cast<LONG_PTR>(raw.Code));
  SetWindowLongPtrW(AWnd, kMethodDataSlot, reinterpret_cast<LONG_PTR>(raw.Data));
}

// Messages that come before AllocateHWnd has stored the method (creation)
// get the default handling.
LRESULT CALLBACK UtilWindowProc(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam) noexcept
{
  const TWndMethod method = WindowMethod(AWnd);
  if (!method)
    return DefWindowProcW(AWnd, AMsg, AWParam, ALParam);
  TMessage message{AMsg, AWParam, ALParam, 0};
  message.Result = GuardCallback(LRESULT{0}, [&] {
    method(message);
    return message.Result;
  });
  if (AMsg == WM_NCDESTROY)
    SetWindowMethod(AWnd, nullptr);
  return message.Result;
}

// Once per process; when it fails, creating the window reports why.
void RegisterUtilWindowClass()
{
  [[maybe_unused]] static const ATOM atom = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &UtilWindowProc;
    windowClass.cbWndExtra = 2 * sizeof(LONG_PTR);
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kUtilWindowClass;
    return RegisterClassW(&windowClass);
  }();
}

}  // namespace

HWND AllocateHWnd(TWndMethod AMethod)
{
  RegisterUtilWindowClass();
  HWND wnd = CreateWindowExW(WS_EX_TOOLWINDOW, kUtilWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  if (!wnd)
    RaiseLastOSError();
  SetWindowMethod(wnd, AMethod);
  return wnd;
}

void DeallocateHWnd(HWND AWnd)
{
  if (AWnd)
    DestroyWindow(AWnd);
}

}  // namespace rtl
