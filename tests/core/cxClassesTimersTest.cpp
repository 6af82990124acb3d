// The hidden message window and the timers that tick through one shared
// window. Ticks are awaited in a pumped message loop with a generous guard
// time; nothing here asserts how long anything took.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/cxClasses.h"
#include "core/dxCoreClasses.h"
#include "platform/rtl/ClassesThreads.h"
#include "platform/rtl/Messages.h"
#include "platform/rtl/SysUtils.h"
#include "tests/support/TestSupport.h"

using rtl::TNotifyEvent;

namespace {

using kvtest::GuardTimeout;
using kvtest::PumpUntil;

// Takes the application's exception handler for the life of a case.
class TExceptionRecorder {
 public:
  TExceptionRecorder() { rtl::SetApplicationHandleException(TNotifyEvent::Bind<&TExceptionRecorder::Handle>(this)); }
  ~TExceptionRecorder() { rtl::SetApplicationHandleException(FPrevious); }
  TExceptionRecorder(const TExceptionRecorder&) = delete;
  TExceptionRecorder& operator=(const TExceptionRecorder&) = delete;

  std::vector<std::wstring> Messages;
  std::vector<rtl::TObject*> Senders;

 private:
  void Handle(rtl::TObject* ASender)
  {
    Senders.push_back(ASender);
    try {
      throw;
    } catch (const rtl::Exception& E) {
      Messages.push_back(E.Message());
    } catch (...) {
      Messages.push_back(L"?");
    }
  }

  TNotifyEvent FPrevious = rtl::GetApplicationHandleException();
};

// Counts the ticks of each sender; may raise or free the ticking timer.
class TTickLog {
 public:
  void Tick(rtl::TObject* ASender)
  {
    Senders.push_back(ASender);
    if (Raise)
      throw rtl::EInvalidOperation(L"tick failed");
    if (FreeSender)
      rtl::Free(ASender);
  }
  TNotifyEvent Event() { return TNotifyEvent::Bind<&TTickLog::Tick>(this); }
  int CountOf(const rtl::TObject* ASender) const
  {
    return static_cast<int>(std::count(Senders.begin(), Senders.end(), ASender));
  }

  std::vector<rtl::TObject*> Senders;
  bool Raise = false;
  bool FreeSender = false;
};

using TTimerPtr = std::unique_ptr<TcxTimer, rtl::TFreeDeleter>;

TTimerPtr NewTimer(unsigned AInterval, bool AEnabled, TNotifyEvent AOnTimer)
{
  return TTimerPtr(cxNewTimer(AInterval, AEnabled, AOnTimer));
}

// The running list in order, as the timers' identifiers.
std::vector<void*> RunningTimers()
{
  std::vector<void*> result;
  if (TdxFastList* list = cxGetRunningTimers())
    for (int i = 0; i < list->GetCount(); ++i)
      result.push_back(list->GetItem(i));
  return result;
}

// Delivers a tick now, as the platform would, without waiting for one.
void SendTick(const TcxTimer* ATimer)
{
  SendMessageW(cxGetTimerWindow()->GetHandle(), WM_TIMER, reinterpret_cast<WPARAM>(ATimer), 0);
}

// ---------------------------------------------------------------------------
// TcxMessageWindow

class TEchoWindow : public TcxMessageWindow {
  RTL_CLASS(TEchoWindow, TcxMessageWindow)

 public:
  bool Raise = false;

 protected:
  void HandleMessage(rtl::TMessage& AMessage) override
  {
    if (AMessage.Msg != WM_APP) {
      inherited::HandleMessage(AMessage);
      return;
    }
    if (Raise)
      throw rtl::EInvalidOperation(L"handler failed");
    AMessage.Result = static_cast<LRESULT>(AMessage.WParam + AMessage.LParam);
  }
};

TEST(cxMessageWindow, IsAMessageOnlyWindowWhoseHandlerAnswers)
{
  TEchoWindow* window = rtl::New<TEchoWindow>();
  const HWND handle = window->GetHandle();
  ASSERT_TRUE(IsWindow(handle));
  EXPECT_NE(GetAncestor(handle, GA_PARENT), GetDesktopWindow()) << "not among the top-level windows";
  EXPECT_FALSE(IsWindowVisible(handle));
  EXPECT_EQ(SendMessageW(handle, WM_APP, 40, 2), 42);
  // The base handler is the default window procedure.
  EXPECT_TRUE(SetWindowTextW(handle, L"abc"));
  EXPECT_EQ(SendMessageW(handle, WM_GETTEXTLENGTH, 0, 0), 3);
  rtl::Free(window);
  EXPECT_FALSE(IsWindow(handle));
}

TEST(cxMessageWindow, HandsAnExceptionToTheApplicationAndKeepsWorking)
{
  TExceptionRecorder recorder;
  TEchoWindow* window = rtl::New<TEchoWindow>();
  window->Raise = true;
  SendMessageW(window->GetHandle(), WM_APP, 1, 1);
  ASSERT_EQ(recorder.Messages, std::vector<std::wstring>{L"handler failed"});
  EXPECT_EQ(recorder.Senders, std::vector<rtl::TObject*>{window});
  window->Raise = false;
  EXPECT_EQ(SendMessageW(window->GetHandle(), WM_APP, 1, 1), 2);
  rtl::Free(window);
}

// ---------------------------------------------------------------------------
// TcxTimer: when it runs

TEST(cxTimer, StartsEnabledAtASecondWithoutHandlerAndSoStopped)
{
  TcxTimer* timer = rtl::New<TcxTimer>(nullptr);
  EXPECT_TRUE(timer->GetEnabled());
  EXPECT_EQ(timer->GetInterval(), 1000u);
  EXPECT_FALSE(timer->GetOnTimer());
  EXPECT_FALSE(timer->GetTimerOn());
  rtl::Free(timer);
}

TEST(cxTimer, RunsExactlyWhileEnabledWithAHandler)
{
  TTickLog log;
  struct TCase {
    const char* what;
    bool enabled;
    bool handler;
    bool running;
  };
  static constexpr TCase cases[] = {
      {"enabled with handler", true, true, true},
      {"enabled without handler", true, false, false},
      {"disabled with handler", false, true, false},
      {"disabled without handler", false, false, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    const TTimerPtr timer = NewTimer(50, c.enabled, c.handler ? log.Event() : TNotifyEvent());
    EXPECT_EQ(timer->GetTimerOn(), c.running);
    EXPECT_EQ(RunningTimers() == std::vector<void*>{timer.get()}, c.running);
  }
  EXPECT_TRUE(RunningTimers().empty()) << "freeing a timer stops it";
}

TEST(cxTimer, EachSettingThatStopsOrStartsIt)
{
  TTickLog log;
  TcxTimer* timer = rtl::New<TcxTimer>(nullptr);
  const TTimerPtr owner(timer);
  timer->SetOnTimer(log.Event());
  EXPECT_TRUE(timer->GetTimerOn()) << "the first handler starts it";
  timer->SetEnabled(false);
  EXPECT_FALSE(timer->GetTimerOn());
  timer->SetInterval(20);
  EXPECT_FALSE(timer->GetTimerOn()) << "a new interval does not enable it";
  timer->Reset();
  EXPECT_FALSE(timer->GetTimerOn()) << "Reset does nothing while disabled";
  timer->SetEnabled(true);
  EXPECT_TRUE(timer->GetTimerOn());
  timer->SetOnTimer(nullptr);
  EXPECT_FALSE(timer->GetTimerOn()) << "clearing the handler stops it";
  EXPECT_TRUE(RunningTimers().empty());
}

TEST(cxTimer, IntervalIgnoresZeroAndItsOwnValue)
{
  TcxTimer* timer = rtl::New<TcxTimer>(nullptr);
  const TTimerPtr owner(timer);
  for (const auto& [value, expected] : {std::pair{250u, 250u}, {0u, 250u}, {250u, 250u}, {1u, 1u}}) {
    timer->SetInterval(value);
    EXPECT_EQ(timer->GetInterval(), expected) << "after " << value;
  }
}

// A restart takes the timer out of the running list and appends it again, so
// the order of the list tells which settings restart the countdown.
TEST(cxTimer, OnlyARealChangeOrResetRestartsTheCountdown)
{
  TTickLog log;
  const TTimerPtr first = NewTimer(500, true, log.Event());
  const TTimerPtr second = NewTimer(500, true, log.Event());
  const std::vector<void*> unchanged{first.get(), second.get()};
  const std::vector<void*> restarted{second.get(), first.get()};
  ASSERT_EQ(RunningTimers(), unchanged);

  first->SetInterval(500);
  first->SetInterval(0);
  first->SetEnabled(true);
  EXPECT_EQ(RunningTimers(), unchanged) << "unchanged values leave the countdown alone";

  struct TCase {
    const char* what;
    void (*change)(TcxTimer* ATimer, TTickLog* ALog);
  };
  static constexpr TCase cases[] = {
      {"Reset", [](TcxTimer* ATimer, TTickLog*) { ATimer->Reset(); }},
      {"a new interval", [](TcxTimer* ATimer, TTickLog*) { ATimer->SetInterval(ATimer->GetInterval() + 1); }},
      {"the same handler again", [](TcxTimer* ATimer, TTickLog* ALog) { ATimer->SetOnTimer(ALog->Event()); }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    c.change(first.get(), &log);
    EXPECT_EQ(RunningTimers(), restarted);
    second->Reset();
    ASSERT_EQ(RunningTimers(), unchanged);
  }
}

TEST(cxTimer, NewTimerHasNoOwnerAndTheGivenValues)
{
  TTickLog log;
  const TTimerPtr timer = NewTimer(30, false, log.Event());
  EXPECT_EQ(timer->GetOwner(), nullptr);
  EXPECT_EQ(timer->GetInterval(), 30u);
  EXPECT_FALSE(timer->GetEnabled());
  EXPECT_TRUE(timer->GetOnTimer() == log.Event());
  EXPECT_FALSE(timer->GetTimerOn());
}

// ---------------------------------------------------------------------------
// TcxTimer: ticks

TEST(cxTimer, TicksReachOnlyTheirOwnTimerAndADisabledOneNeverTicks)
{
  TTickLog log;
  const TTimerPtr first = NewTimer(10, true, log.Event());
  const TTimerPtr second = NewTimer(10, true, log.Event());
  const TTimerPtr disabled = NewTimer(10, false, log.Event());
  ASSERT_TRUE(PumpUntil([&] { return log.CountOf(first.get()) >= 3 && log.CountOf(second.get()) >= 3; }));
  EXPECT_EQ(log.CountOf(disabled.get()), 0);
  EXPECT_EQ(log.CountOf(first.get()) + log.CountOf(second.get()), static_cast<int>(log.Senders.size()));
}

TEST(cxTimer, AStoppedTimerTicksNoMore)
{
  TTickLog log;
  const TTimerPtr stopped = NewTimer(10, true, log.Event());
  const TTimerPtr witness = NewTimer(10, false, log.Event());
  ASSERT_TRUE(PumpUntil([&] { return log.CountOf(stopped.get()) >= 1; }));
  stopped->SetEnabled(false);
  const int ticks = log.CountOf(stopped.get());
  witness->SetEnabled(true);
  ASSERT_TRUE(PumpUntil([&] { return log.CountOf(witness.get()) >= 5; }));
  EXPECT_EQ(log.CountOf(stopped.get()), ticks);
}

TEST(cxTimer, ATickForAStoppedTimerIsIgnored)
{
  TTickLog log;
  const TTimerPtr running = NewTimer(100000, true, log.Event());
  const TTimerPtr stopped = NewTimer(100000, false, log.Event());
  SendTick(stopped.get());
  EXPECT_TRUE(log.Senders.empty());
  SendTick(running.get());
  EXPECT_EQ(log.Senders, std::vector<rtl::TObject*>{running.get()});
}

TEST(cxTimer, MayBeFreedInItsOwnHandler)
{
  TTickLog log;
  log.FreeSender = true;
  TcxTimer* timer = cxNewTimer(10, true, log.Event());
  ASSERT_TRUE(PumpUntil([&] { return !log.Senders.empty(); }));
  EXPECT_TRUE(RunningTimers().empty());
  // A tick still queued for it, or sent late, finds nothing.
  log.FreeSender = false;
  SendTick(timer);
  EXPECT_EQ(log.Senders.size(), 1u);
}

TEST(cxTimer, AnExceptionInTheHandlerGoesToTheApplicationAndTheTimerGoesOn)
{
  TExceptionRecorder recorder;
  TTickLog log;
  log.Raise = true;
  const TTimerPtr timer = NewTimer(100000, true, log.Event());
  SendTick(timer.get());
  EXPECT_EQ(recorder.Messages, std::vector<std::wstring>{L"tick failed"});
  log.Raise = false;
  SendTick(timer.get());
  EXPECT_EQ(log.CountOf(timer.get()), 2);
  EXPECT_TRUE(timer->GetTimerOn());
}

// ---------------------------------------------------------------------------
// The unit's finish

TEST(cxTimer, AfterTheUnitsFinishTheGettersAreNilAndNoTimerStarts)
{
  TTickLog log;
  const TTimerPtr running = NewTimer(100000, true, log.Event());
  ASSERT_NE(cxGetTimerWindow(), nullptr);
  const HWND window = cxGetTimerWindow()->GetHandle();
  unit_cxClasses.finalization();

  EXPECT_EQ(cxGetTimerWindow(), nullptr);
  EXPECT_EQ(cxGetRunningTimers(), nullptr);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(running->GetTimerOn()) << "its platform timer went with the window";
  running->SetEnabled(false);
  running->SetEnabled(true);
  EXPECT_FALSE(running->GetTimerOn());
  const TTimerPtr late = NewTimer(10, true, log.Event());
  EXPECT_FALSE(late->GetTimerOn());

  unit_cxClasses.initialization();
  late->Reset();
  EXPECT_TRUE(late->GetTimerOn()) << "a fresh start-up serves timers again";
}

}  // namespace
