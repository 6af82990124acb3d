#include "platform/rtl/ClassesThreads.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using rtl::CheckSynchronize;
using rtl::TNotifyEvent;
using rtl::TThread;
using rtl::TThreadMethod;
using rtl::TWndMethod;

// A thread whose Execute is a function given at creation.
class TTestThread : public TThread {
  RTL_CLASS(TTestThread, TThread)

 public:
  using Body = std::function<void(TTestThread*)>;

  void Create(bool ACreateSuspended, Body ABody, std::atomic<bool>* ADestroyed = nullptr)
  {
    FBody = std::move(ABody);
    FDestroyed = ADestroyed;
    inherited::Create(ACreateSuspended);
  }
  void Destroy() override
  {
    inherited::Destroy();
    if (FDestroyed)
      *FDestroyed = true;
  }

  using TThread::Queue;
  using TThread::SetReturnValue;
  using TThread::Synchronize;
  using TThread::Terminated;

 protected:
  void Execute() override
  {
    if (FBody)
      FBody(this);
  }

 private:
  Body FBody;
  std::atomic<bool>* FDestroyed = nullptr;
};

TTestThread* NewThread(TTestThread::Body ABody, bool ASuspended = false, std::atomic<bool>* ADestroyed = nullptr)
{
  return rtl::New<TTestThread>(ASuspended, std::move(ABody), ADestroyed);
}

// Serves synchronised calls until ADone holds; fails instead of hanging.
void PumpUntil(const std::function<bool()>& ADone)
{
  for (int round = 0; round < 1000 && !ADone(); ++round)
    CheckSynchronize(10);
  ASSERT_TRUE(ADone()) << "the synchronised work never finished";
}

// Records what reaches the run-time's hooks; installs itself for a test and
// puts the previous hooks back afterwards.
struct HookRecorder {
  std::vector<std::wstring> exceptions;
  std::vector<rtl::TObject*> senders;
  std::atomic<int> wakeUps{0};
  std::atomic<rtl::TObject*> lastWakeSender{nullptr};
  TNotifyEvent previousHandler = rtl::GetApplicationHandleException();
  TNotifyEvent previousWake = rtl::GetWakeMainThread();

  HookRecorder()
  {
    rtl::SetApplicationHandleException(TNotifyEvent::Bind<&HookRecorder::HandleException>(this));
    rtl::SetWakeMainThread(TNotifyEvent::Bind<&HookRecorder::Wake>(this));
  }
  ~HookRecorder()
  {
    rtl::SetApplicationHandleException(previousHandler);
    rtl::SetWakeMainThread(previousWake);
  }

  void HandleException(rtl::TObject* ASender)
  {
    senders.push_back(ASender);
    try {
      throw;
    } catch (const rtl::Exception& e) {
      exceptions.push_back(std::wstring(e.ClassName()) + L": " + e.Message());
    } catch (...) {
      exceptions.push_back(L"?");
    }
  }
  void Wake(rtl::TObject* ASender)
  {
    lastWakeSender = ASender;
    ++wakeUps;
  }
};

class ClassesThreads : public testing::Test {
 protected:
  void SetUp() override { rtl::SetMainThread(); }
  // Nothing one test queued may run in the next one.
  void TearDown() override { CheckSynchronize(); }
};

// ---------------------------------------------------------------------------
// Life cycle

TEST_F(ClassesThreads, WaitForAnswersTheReturnValueOfExecute)
{
  std::atomic<DWORD> executedOn{0};
  TTestThread* thread = NewThread([&](TTestThread* AThread) {
    executedOn = GetCurrentThreadId();
    AThread->SetReturnValue(42);
  });
  EXPECT_TRUE(rtl::IsMultiThread);
  EXPECT_EQ(thread->WaitFor(), 42u);
  EXPECT_TRUE(thread->Finished());
  EXPECT_EQ(executedOn, thread->ThreadID());
  EXPECT_NE(executedOn, GetCurrentThreadId());
  EXPECT_FALSE(thread->FatalException());
  rtl::Free(thread);
}

TEST_F(ClassesThreads, SuspendedThreadRunsOnlyOnceStarted)
{
  std::atomic<bool> ran{false};
  TTestThread* thread = NewThread([&](TTestThread*) { ran = true; }, true);
  EXPECT_FALSE(thread->Started());
  EXPECT_THROW(thread->WaitFor(), rtl::EThread);
  EXPECT_FALSE(ran);
  thread->Start();
  EXPECT_THROW(thread->Start(), rtl::EThread);
  thread->WaitFor();
  EXPECT_TRUE(ran);
  rtl::Free(thread);
}

TEST_F(ClassesThreads, ExceptionOfExecuteIsKeptAsFatalException)
{
  TTestThread* thread = NewThread([](TTestThread*) { throw rtl::EConvertError(L"bad number"); });
  thread->WaitFor();
  ASSERT_TRUE(thread->FatalException());
  EXPECT_THROW(std::rethrow_exception(thread->FatalException()), rtl::EConvertError);
  rtl::Free(thread);
}

TEST_F(ClassesThreads, TerminateEndsAnExecuteThatPollsTerminated)
{
  TTestThread* thread = NewThread([](TTestThread* AThread) {
    while (!AThread->Terminated())
      Sleep(1);
  });
  thread->Terminate();
  thread->WaitFor();
  EXPECT_TRUE(thread->Finished());
  rtl::Free(thread);
}

TEST_F(ClassesThreads, FreeingStopsARunningOrNeverStartedThread)
{
  for (bool suspended : {false, true}) {
    SCOPED_TRACE(suspended ? "never started" : "running");
    std::atomic<bool> ran{false};
    TTestThread* thread = NewThread(
        [&](TTestThread* AThread) {
          ran = true;
          while (!AThread->Terminated())
            Sleep(1);
        },
        suspended);
    while (!suspended && !ran)
      Sleep(1);
    // Free terminates the thread and waits for it; one never started is
    // terminated before it gets to Execute.
    rtl::Free(thread);
    EXPECT_EQ(ran, !suspended);
  }
}

struct TerminateRecorder {
  std::vector<rtl::TObject*> senders;
  std::vector<DWORD> threads;
  void ThreadTerminated(rtl::TObject* ASender)
  {
    senders.push_back(ASender);
    threads.push_back(GetCurrentThreadId());
  }
};

TEST_F(ClassesThreads, FreeOnTerminateThreadFreesItselfAfterOnTerminateRanOnTheMainThread)
{
  std::atomic<bool> destroyed{false};
  TerminateRecorder recorder;
  TTestThread* thread = NewThread([](TTestThread*) {}, true, &destroyed);
  thread->SetFreeOnTerminate(true);
  thread->SetOnTerminate(TNotifyEvent::Bind<&TerminateRecorder::ThreadTerminated>(&recorder));
  EXPECT_THROW(thread->WaitFor(), rtl::EThread);
  rtl::TObject* const sender = thread;
  thread->Start();
  PumpUntil([&] { return destroyed.load(); });
  ASSERT_EQ(recorder.senders.size(), 1u);
  EXPECT_EQ(recorder.senders[0], sender);
  EXPECT_EQ(recorder.threads[0], GetCurrentThreadId());
}

// An owner may take the freeing over from a thread that frees itself
// (FreeOnTerminate False, Terminate, WaitFor, Free), also once the thread is
// past Execute and waits for the main thread to run its OnTerminate.
TEST_F(ClassesThreads, AnOwnerMayTakeOverFreeingAThreadPastExecute)
{
  CheckSynchronize();
  std::atomic<bool> destroyed{false};
  TerminateRecorder recorder;
  TTestThread* thread = NewThread([](TTestThread*) {}, true, &destroyed);
  thread->SetFreeOnTerminate(true);
  thread->SetOnTerminate(TNotifyEvent::Bind<&TerminateRecorder::ThreadTerminated>(&recorder));
  thread->Start();
  // OnTerminate waits for the main thread: the thread is past Execute.
  ASSERT_EQ(WaitForSingleObject(rtl::SyncEvent(), 10000), WAIT_OBJECT_0);
  thread->SetFreeOnTerminate(false);
  thread->Terminate();
  EXPECT_NO_THROW(thread->WaitFor());
  EXPECT_EQ(recorder.senders.size(), 1u);
  ASSERT_FALSE(destroyed) << "the thread freed itself after its owner took that over";
  rtl::Free(thread);
  EXPECT_TRUE(destroyed);
}

// Freeing the thread in its own OnTerminate must not wait for the thread,
// which waits for OnTerminate to return.
struct FreeingTerminateHandler {
  bool freed = false;
  void ThreadTerminated(rtl::TObject* ASender)
  {
    rtl::Free(ASender);
    freed = true;
  }
};

TEST_F(ClassesThreads, OnTerminateMayFreeItsThread)
{
  FreeingTerminateHandler handler;
  TTestThread* thread = NewThread([](TTestThread*) {}, true);
  thread->SetOnTerminate(TNotifyEvent::Bind<&FreeingTerminateHandler::ThreadTerminated>(&handler));
  thread->Start();
  PumpUntil([&] { return handler.freed; });
}

// ---------------------------------------------------------------------------
// Synchronize and Queue

TEST_F(ClassesThreads, SynchronizeRunsTheCallOnTheMainThread)
{
  struct Target {
    DWORD ranOn = 0;
    void Run() { ranOn = GetCurrentThreadId(); }
  };
  const std::function<void(TTestThread*, Target&)> ways[] = {
      [](TTestThread* AThread, Target& ATarget) {
        AThread->Synchronize(TThreadMethod::Bind<&Target::Run>(&ATarget));
      },
      [](TTestThread* AThread, Target& ATarget) {
        AThread->Synchronize([&ATarget] { ATarget.Run(); });
      },
      [](TTestThread*, Target& ATarget) { TThread::Synchronize(nullptr, [&ATarget] { ATarget.Run(); }); },
  };
  for (const auto& way : ways) {
    Target target;
    TTestThread* thread = NewThread([&](TTestThread* AThread) { way(AThread, target); });
    PumpUntil([&] { return thread->Finished(); });
    thread->WaitFor();
    EXPECT_EQ(target.ranOn, GetCurrentThreadId());
    rtl::Free(thread);
  }
}

TEST_F(ClassesThreads, SynchronizeRaisesTheCallsExceptionInTheCallingThread)
{
  std::wstring caught;
  TTestThread* thread = NewThread([&](TTestThread* AThread) {
    try {
      AThread->Synchronize([] { throw rtl::EConvertError(L"not a number"); });
    } catch (const rtl::EConvertError& e) {
      caught = e.Message();
    }
  });
  // WaitFor serves the thread's synchronised calls meanwhile.
  thread->WaitFor();
  EXPECT_EQ(caught, L"not a number");
  rtl::Free(thread);
}

TEST_F(ClassesThreads, OnTheMainThreadSynchronizeAndQueueRunAtOnce)
{
  int runs = 0;
  TThread::Synchronize(nullptr, [&] { ++runs; });
  EXPECT_EQ(runs, 1);
  TThread::Queue(nullptr, [&] { ++runs; });
  EXPECT_EQ(runs, 2);
  EXPECT_THROW(TThread::Synchronize(nullptr, [] { throw rtl::EAbort(L""); }), rtl::EAbort);
}

TEST_F(ClassesThreads, QueuedCallsRunInOrderWhenTheMainThreadChecks)
{
  struct Target {
    std::vector<int>* order;
    void Run() { order->push_back(0); }
  };
  std::vector<int> order;
  Target target{&order};
  TTestThread* thread = NewThread([&](TTestThread* AThread) {
    AThread->Queue(TThreadMethod::Bind<&Target::Run>(&target));
    for (int i = 1; i <= 4; ++i)
      AThread->Queue([&order, i] { order.push_back(i); });
  });
  // The wait may already run some; CheckSynchronize runs the rest.
  thread->WaitFor();
  CheckSynchronize();
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_FALSE(CheckSynchronize());
  rtl::Free(thread);
}

TEST_F(ClassesThreads, CheckSynchronizeAnswersFalseWhenNothingRan)
{
  EXPECT_FALSE(CheckSynchronize());
  EXPECT_FALSE(CheckSynchronize(5));
}

TEST_F(ClassesThreads, CheckSynchronizeRaisesOnAnotherThread)
{
  TTestThread* thread = NewThread([](TTestThread* AThread) {
    try {
      CheckSynchronize();
    } catch (const rtl::EThread&) {
      AThread->SetReturnValue(1);
    }
  });
  EXPECT_EQ(thread->WaitFor(), 1u);
  rtl::Free(thread);
}

TEST_F(ClassesThreads, QueuedCallsOfAThreadAreDroppedWhenRemovedOrWhenItGoes)
{
  for (bool byFree : {false, true}) {
    SCOPED_TRACE(byFree ? "thread freed" : "RemoveQueuedEvents");
    bool ran = false;
    TTestThread* thread = NewThread([&](TTestThread* AThread) {
      for (int i = 0; i < 3; ++i)
        AThread->Queue([&ran] { ran = true; });
    });
    // A plain wait serves nothing.
    WaitForSingleObject(thread->Handle(), INFINITE);
    if (byFree) {
      rtl::Free(thread);
    } else {
      TThread::RemoveQueuedEvents(thread);
      rtl::Free(thread);
    }
    EXPECT_FALSE(CheckSynchronize());
    EXPECT_FALSE(ran);
  }
}

TEST_F(ClassesThreads, QueuedCallsExceptionGoesToTheHandlerAndTheNextCallsStillRun)
{
  HookRecorder hooks;
  bool laterRan = false;
  TTestThread* thread = NewThread([&](TTestThread* AThread) {
    AThread->Queue([] { throw rtl::EListError(L"List index out of bounds (5)"); });
    AThread->Queue([&laterRan] { laterRan = true; });
  });
  WaitForSingleObject(thread->Handle(), INFINITE);
  EXPECT_TRUE(CheckSynchronize());
  EXPECT_TRUE(laterRan);
  ASSERT_EQ(hooks.exceptions.size(), 1u);
  EXPECT_EQ(hooks.exceptions[0], L"EListError: List index out of bounds (5)");
  EXPECT_EQ(hooks.senders[0], thread);
  rtl::Free(thread);
}

TEST_F(ClassesThreads, QueueingSignalsSyncEventAndWakesTheMainThread)
{
  HookRecorder hooks;
  EXPECT_EQ(WaitForSingleObject(rtl::SyncEvent(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
  TTestThread* thread = NewThread([](TTestThread* AThread) { AThread->Queue([] {}); });
  WaitForSingleObject(thread->Handle(), INFINITE);
  EXPECT_EQ(WaitForSingleObject(rtl::SyncEvent(), 0), WAIT_OBJECT_0);
  EXPECT_EQ(hooks.wakeUps, 1);
  EXPECT_EQ(hooks.lastWakeSender, thread);
  EXPECT_TRUE(CheckSynchronize());
  EXPECT_EQ(WaitForSingleObject(rtl::SyncEvent(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
  rtl::Free(thread);
}

// The application's way of serving synchronised calls: the wake-up posts a
// message to a utility window whose method runs CheckSynchronize.
struct WakeWindow {
  static constexpr UINT kSyncRequest = WM_APP + 1;
  HWND window = nullptr;
  int served = 0;

  void WndProc(rtl::TMessage& AMessage)
  {
    if (AMessage.Msg == kSyncRequest) {
      if (CheckSynchronize())
        ++served;
      return;
    }
    AMessage.Result = DefWindowProcW(window, AMessage.Msg, AMessage.WParam, AMessage.LParam);
  }
  void Wake(rtl::TObject*) { PostMessageW(window, kSyncRequest, 0, 0); }
};

TEST_F(ClassesThreads, WakeUpMessageToAUtilityWindowServesSynchronize)
{
  WakeWindow waker;
  waker.window = rtl::AllocateHWnd(TWndMethod::Bind<&WakeWindow::WndProc>(&waker));
  const TNotifyEvent previous = rtl::GetWakeMainThread();
  rtl::SetWakeMainThread(TNotifyEvent::Bind<&WakeWindow::Wake>(&waker));
  DWORD ranOn = 0;
  TTestThread* thread = NewThread([&](TTestThread* AThread) {
    AThread->Synchronize([&ranOn] { ranOn = GetCurrentThreadId(); });
    PostMessageW(waker.window, WM_APP + 2, 0, 0);
  });
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0 && msg.message != WM_APP + 2)
    DispatchMessageW(&msg);
  thread->WaitFor();
  rtl::SetWakeMainThread(previous);
  EXPECT_EQ(ranOn, GetCurrentThreadId());
  EXPECT_EQ(waker.served, 1);
  rtl::Free(thread);
  rtl::DeallocateHWnd(waker.window);
}

// The application takes its wake-up away as it goes; a worker that read the
// handler just before must be done with it by the time the application is
// gone.
TEST_F(ClassesThreads, TakingTheWakeUpAwayWaitsForAHandlerStillRunning)
{
  struct SlowWaker {
    HANDLE entered = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> done{false};
    void Wake(rtl::TObject*)
    {
      SetEvent(entered);
      WaitForSingleObject(release, 10000);
      // Still busy with its owner a little after being let go, as a slow
      // PostMessage might be.
      Sleep(50);
      done = true;
    }
  } waker;
  const TNotifyEvent previous = rtl::GetWakeMainThread();
  rtl::SetWakeMainThread(TNotifyEvent::Bind<&SlowWaker::Wake>(&waker));
  std::thread worker([] { TThread::Queue(nullptr, [] {}); });
  ASSERT_EQ(WaitForSingleObject(waker.entered, 10000), WAIT_OBJECT_0);
  SetEvent(waker.release);
  rtl::SetWakeMainThread(previous);
  EXPECT_TRUE(waker.done) << "the handler still ran after it was taken away";
  worker.join();
  CheckSynchronize();
  CloseHandle(waker.entered);
  CloseHandle(waker.release);
}

TEST_F(ClassesThreads, WaitForLetsMessagesSentByTheThreadThrough)
{
  struct Receiver {
    UINT received = 0;
    void WndProc(rtl::TMessage& AMessage)
    {
      if (AMessage.Msg == WM_APP + 3) {
        received = AMessage.Msg;
        AMessage.Result = 5;
      }
    }
  } receiver;
  HWND window = rtl::AllocateHWnd(TWndMethod::Bind<&Receiver::WndProc>(&receiver));
  TTestThread* thread = NewThread([&](TTestThread* AThread) {
    AThread->SetReturnValue(static_cast<int>(SendMessageW(window, WM_APP + 3, 0, 0)));
  });
  EXPECT_EQ(thread->WaitFor(), 5u);
  EXPECT_EQ(receiver.received, static_cast<UINT>(WM_APP + 3));
  rtl::Free(thread);
  rtl::DeallocateHWnd(window);
}

// ---------------------------------------------------------------------------
// Processors

TEST_F(ClassesThreads, ProcessorCountAndCPUUsage)
{
  EXPECT_GE(TThread::ProcessorCount(), 1);
  TThread::TSystemTimes times{};
  const int sinceStart = TThread::GetCPUUsage(times);
  EXPECT_GE(sinceStart, 0);
  EXPECT_LE(sinceStart, 100);
  EXPECT_GT(times.KernelTime, 0u);
  const TThread::TSystemTimes previous = times;
  const int sinceThen = TThread::GetCPUUsage(times);
  EXPECT_GE(sinceThen, 0);
  EXPECT_LE(sinceThen, 100);
  EXPECT_GE(times.KernelTime, previous.KernelTime);
}

// ---------------------------------------------------------------------------
// Utility windows

struct MessageLog {
  std::vector<UINT> messages;
  bool raise = false;
  void WndProc(rtl::TMessage& AMessage)
  {
    messages.push_back(AMessage.Msg);
    if (raise)
      throw rtl::EInvalidOperation(L"handler failed");
    AMessage.Result = AMessage.Msg == WM_APP ? 77 : 0;
  }
};

TEST_F(ClassesThreads, UtilityWindowSendsEveryMessageToItsMethod)
{
  MessageLog log;
  HWND window = rtl::AllocateHWnd(TWndMethod::Bind<&MessageLog::WndProc>(&log));
  ASSERT_TRUE(IsWindow(window));
  EXPECT_FALSE(IsWindowVisible(window));
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  EXPECT_STREQ(className, L"TPUtilWindow");
  EXPECT_EQ(GetWindowThreadProcessId(window, nullptr), GetCurrentThreadId());

  EXPECT_EQ(SendMessageW(window, WM_APP, 0, 0), 77);
  ASSERT_FALSE(log.messages.empty());
  EXPECT_EQ(log.messages.back(), static_cast<UINT>(WM_APP));

  log.messages.clear();
  rtl::DeallocateHWnd(window);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_NE(std::find(log.messages.begin(), log.messages.end(), WM_DESTROY), log.messages.end());
  ASSERT_FALSE(log.messages.empty());
  EXPECT_EQ(log.messages.back(), static_cast<UINT>(WM_NCDESTROY));
  rtl::DeallocateHWnd(nullptr);
}

TEST_F(ClassesThreads, ExceptionInAUtilityWindowMethodStaysInsideTheWindowProcedure)
{
  for (bool withHandler : {true, false}) {
    SCOPED_TRACE(withHandler ? "handler assigned" : "no handler");
    HookRecorder hooks;
    if (!withHandler)
      rtl::SetApplicationHandleException(nullptr);
    MessageLog log;
    HWND window = rtl::AllocateHWnd(TWndMethod::Bind<&MessageLog::WndProc>(&log));
    log.raise = true;
    EXPECT_EQ(SendMessageW(window, WM_APP, 0, 0), 0);
    if (withHandler) {
      ASSERT_EQ(hooks.exceptions.size(), 1u);
      EXPECT_EQ(hooks.exceptions[0], L"EInvalidOperation: handler failed");
    }
    // The window still works afterwards.
    log.raise = false;
    EXPECT_EQ(SendMessageW(window, WM_APP, 0, 0), 77);
    rtl::DeallocateHWnd(window);
  }
}

}  // namespace
