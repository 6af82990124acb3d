// Transitions, the easing curves and the global animation controller. The
// controller's cases run on a clock of their own, moved by hand, and step
// through Update; one case lets the real 1 ms timer run in a pumped message
// loop and waits, with a generous guard time, for the end.
#include "core/dxAnimation.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/cxClasses.h"
#include "core/dxCoreClasses.h"
#include "platform/rtl/SysUtils.h"
#include "tests/support/TestSupport.h"

using enum TdxAnimationTransitionEffect;
using enum TdxAnimationTransitionEffectMode;

namespace {

using kvtest::GuardTimeout;
using kvtest::PumpUntil;

int RunningTimerCount()
{
  TdxFastList* list = cxGetRunningTimers();
  return list ? list->GetCount() : 0;
}

// ---------------------------------------------------------------------------
// Counter routines and curves

TEST(dxAnimationCounter, MulDivTruncatesTowardZeroAndTakesTheLowHalfOfA)
{
  struct TCase {
    std::int64_t a, b, c, expected;
  };
  static constexpr TCase cases[] = {
      {1, 2, 3, 0},
      {7, 10, 3, 23},
      {-7, 10, 3, -23},
      {100, 5'000'000, 10'000'000, 50},
      {100, 4'999'999, 10'000'000, 49},
      {0x1'0000'0005LL, 10, 1, 50},
      {0xFFFF'FFFFLL, 10, 1, -10},
      {1000, 10'000'000'000LL, 1000, 10'000'000'000LL},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(dxMulDivInt64(c.a, c.b, c.c), c.expected) << c.a << " x " << c.b << " / " << c.c;
}

TEST(dxAnimationCounter, MillisecondsCountInTheCountersUnits)
{
  LARGE_INTEGER frequency;
  ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
  EXPECT_EQ(dxMillisecondsToTicks(1000), frequency.QuadPart);
  EXPECT_EQ(dxMillisecondsToTicks(0), 0);
  const std::int64_t before = dxReadPerformanceCounter();
  EXPECT_GE(dxReadPerformanceCounter(), before);
}

// The position a fresh transition's curve gives for AValue of AMaxValue.
int CurveAt(TdxAnimationTransitionEffect AEffect, TdxAnimationTransitionEffectMode AMode, std::int64_t AValue,
            std::int64_t AMaxValue, int ALength)
{
  TdxAnimationTransition* transition = rtl::New<TdxAnimationTransition>(1000u, AEffect, ALength, AMode);
  const int result = transition->GetTransitionEffectProc()(transition, AValue, AMaxValue, ALength);
  rtl::Free(transition);
  return result;
}

constexpr TdxAnimationTransitionEffect AllEffects[] = {
    ateLinear, ateAccelerateDecelerate, ateCubic,       ateTanh, ateBack,      ateBounce,  ateCircle,
    ateElastic, ateExponential,         ateSine,        ateQuadratic, ateQuartic, ateCustom};
constexpr TdxAnimationTransitionEffectMode AllModes[] = {atmIn, atmOut, atmInOut};

TEST(dxAnimationCurves, EveryCurveRunsFromZeroToTheLengthInEveryMode)
{
  for (TdxAnimationTransitionEffect effect : AllEffects)
    for (TdxAnimationTransitionEffectMode mode : AllModes) {
      SCOPED_TRACE(testing::Message() << "effect " << int(effect) << ", mode " << int(mode));
      EXPECT_EQ(CurveAt(effect, mode, 0, 1000, 777), 0);
      EXPECT_EQ(CurveAt(effect, mode, 1000, 1000, 777), 777);
    }
}

// All but AccelerateDecelerate, which ignores the mode and is no symmetric
// curve.
TEST(dxAnimationCurves, EverySymmetricCurveIsHalfWayAtTheMiddleOfInOut)
{
  for (TdxAnimationTransitionEffect effect : AllEffects) {
    if (effect != ateAccelerateDecelerate) {
      EXPECT_EQ(CurveAt(effect, atmInOut, 500, 1000, 1000), 500) << "effect " << int(effect);
    }
  }
}

TEST(dxAnimationCurves, DefiningPoints)
{
  struct TCase {
    TdxAnimationTransitionEffect effect;
    TdxAnimationTransitionEffectMode mode;
    std::int64_t value;
    std::int64_t maxValue;
    int length;
    int expected;
  };
  static constexpr TCase cases[] = {
      // Linear truncates, whatever the mode.
      {ateLinear, atmIn, 500, 1000, 100, 50},
      {ateLinear, atmOut, 999, 1000, 100, 99},
      {ateCustom, atmIn, 1, 3, 100, 33},
      // Effects that compute the position themselves ignore the mode.
      {ateAccelerateDecelerate, atmIn, 500, 1000, 1000, 984},
      {ateAccelerateDecelerate, atmOut, 500, 1000, 1000, 984},
      {ateTanh, atmIn, 500, 1000, 1000, 500},
      {ateTanh, atmInOut, 250, 1000, 1000, 45},
      // In: f(t), rounded half to even.
      {ateCubic, atmIn, 500, 1000, 1000, 125},
      {ateBack, atmIn, 500, 1000, 1000, -25},
      {ateBounce, atmIn, 500, 1000, 1000, 440},
      {ateCircle, atmIn, 500, 1000, 1000, 134},
      {ateElastic, atmIn, 500, 1000, 1000, 16},
      {ateExponential, atmIn, 500, 1000, 1000, 29},
      {ateSine, atmIn, 500, 1000, 1000, 293},
      {ateQuadratic, atmIn, 500, 1000, 1000, 250},
      {ateQuartic, atmIn, 500, 1000, 1000, 62},
      // Out: 1 - f(1 - t).
      {ateCubic, atmOut, 500, 1000, 1000, 875},
      {ateBack, atmOut, 500, 1000, 1000, 1025},
      {ateBounce, atmOut, 500, 1000, 1000, 560},
      {ateQuartic, atmOut, 500, 1000, 1000, 938},
      // InOut: the first half is f(2t) / 2.
      {ateCubic, atmInOut, 250, 1000, 10000, 625},
      {ateCubic, atmInOut, 250, 1000, 1000, 62},
      {ateQuadratic, atmInOut, 750, 1000, 1000, 875},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(CurveAt(c.effect, c.mode, c.value, c.maxValue, c.length), c.expected)
        << "effect " << int(c.effect) << ", mode " << int(c.mode) << ", at " << c.value << "/" << c.maxValue;
}

// ---------------------------------------------------------------------------
// The controller on a clock moved by hand

constinit std::int64_t FakeNow = 0;

std::int64_t ReadFakeClock()
{
  return FakeNow;
}

void Advance(unsigned AMilliseconds)
{
  FakeNow += dxMillisecondsToTicks(AMilliseconds);
}

// Tells when the user's object of a transition, and so the transition, goes.
class TFreeWitness : public rtl::TObject {
  RTL_CLASS(TFreeWitness, rtl::TObject)

 public:
  void Create(bool* AFreed)
  {
    FFreed = AFreed;
    *FFreed = false;
  }
  void Destroy() override
  {
    *FFreed = true;
    inherited::Destroy();
  }

 private:
  bool* FFreed;
};

// The events one transition fires, as text: "A50" an OnAnimate at 50, "T" an
// OnTerminate.
class TEventLog {
 public:
  void Animate(TdxAnimationTransition*, int& APosition, bool& AFinished)
  {
    Events.push_back(L"A" + std::to_wstring(APosition));
    if (FinishAt >= 0 && APosition >= FinishAt)
      AFinished = true;
  }
  void Terminate(rtl::TObject*) { Events.push_back(L"T"); }

  void Watch(TdxAnimationTransition* ATransition)
  {
    ATransition->SetOnAnimate(TdxAnimationEvent::Bind<&TEventLog::Animate>(this));
    ATransition->SetOnTerminate(rtl::TNotifyEvent::Bind<&TEventLog::Terminate>(this));
  }
  std::wstring Last() const { return Events.empty() ? L"" : Events.back(); }

  std::vector<std::wstring> Events;
  int FinishAt = -1;
};

class AnimationController : public testing::Test {
 protected:
  void SetUp() override
  {
    FakeNow = 1'000'000'000;
    FPreviousClock = dxSetReadPerformanceCounter(&ReadFakeClock);
    FController = dxGlobalAnimationController();
    FBaseTimers = RunningTimerCount();
  }
  void TearDown() override
  {
    dxSetReadPerformanceCounter(FPreviousClock);
    EXPECT_EQ(FController->GetActiveAnimations(), 0) << "a case left a transition running";
  }

  // A linear transition over 1000 ms to 100, watched by FLog, its freeing
  // reported in FFreed.
  TdxAnimationTransition* NewTransition(unsigned ATime = 1000)
  {
    auto* transition = rtl::New<TdxAnimationTransition>(ATime, ateLinear, 100, atmIn);
    transition->SetInfo(rtl::New<TFreeWitness>(&FFreed));
    FLog.Watch(transition);
    return transition;
  }
  // The controller's timer is counted among the running timers.
  bool TimerOn() const { return RunningTimerCount() == FBaseTimers + 1; }
  bool TimerOff() const { return RunningTimerCount() == FBaseTimers; }

  TdxAnimationController* FController = nullptr;
  TEventLog FLog;
  bool FFreed = false;

 private:
  TdxReadPerformanceCounterFunc FPreviousClock = nullptr;
  int FBaseTimers = 0;
};

TEST_F(AnimationController, ALinearTransitionIsHalfWayAtHalfTimeThenEndsAndIsFreed)
{
  TdxAnimationTransition* transition = NewTransition();
  transition->Resume();
  Advance(500);
  FController->Update();
  EXPECT_EQ(transition->GetPosition(), 50);
  EXPECT_TRUE(transition->GetPositionChanged() == false) << "cleared after the step";
  Advance(500);
  FController->Update();
  EXPECT_EQ(FLog.Events, (std::vector<std::wstring>{L"A50", L"A100", L"T"}));
  EXPECT_TRUE(FFreed);
}

TEST_F(AnimationController, APauseMovesTheEndByItsLength)
{
  TdxAnimationTransition* transition = NewTransition();
  transition->Resume();
  Advance(500);
  FController->Update();
  transition->Suspend();
  EXPECT_TRUE(transition->GetSuspended());
  Advance(200);
  FController->Update();
  EXPECT_EQ(FLog.Events.size(), 1u) << "a paused transition is not stepped";
  transition->Resume();
  Advance(499);
  FController->Update();
  EXPECT_EQ(FLog.Last(), L"A99");
  Advance(1);
  FController->Update();
  EXPECT_EQ(FLog.Last(), L"T");
  EXPECT_TRUE(FFreed);
}

TEST_F(AnimationController, AHandlerThatFinishesEndsAtFullLengthWithOneTerminate)
{
  TdxAnimationTransition* transition = NewTransition();
  FLog.FinishAt = 30;
  transition->Resume();
  Advance(300);
  FController->Update();
  EXPECT_EQ(FLog.Events, (std::vector<std::wstring>{L"A30", L"A100", L"T"}));
  EXPECT_TRUE(FFreed);
}

TEST_F(AnimationController, ATransitionNeverResumedIsNeverStepped)
{
  TdxAnimationTransition* transition = NewTransition();
  Advance(5000);
  FController->Update();
  EXPECT_TRUE(FLog.Events.empty());
  EXPECT_EQ(transition->GetPosition(), 0);
  EXPECT_TRUE(TimerOff());
  rtl::Free(transition);
  EXPECT_TRUE(FFreed);
}

TEST_F(AnimationController, AZeroDurationEndsAtTheFirstStep)
{
  NewTransition(0)->Resume();
  FController->Update();
  EXPECT_EQ(FLog.Events, (std::vector<std::wstring>{L"A100", L"T"}));
  EXPECT_TRUE(FFreed);
}

TEST_F(AnimationController, ImmediateAnimationRunsToTheEndAtOnce)
{
  TdxAnimationTransition* transition = NewTransition(0);
  transition->ImmediateAnimation();
  EXPECT_EQ(FLog.Events, (std::vector<std::wstring>{L"A100", L"T"}));
  EXPECT_TRUE(FFreed);
}

TEST_F(AnimationController, FinishedFalseRestartsAKeptTransition)
{
  TdxAnimationTransition* transition = NewTransition();
  transition->SetFreeOnTerminate(false);
  transition->Resume();
  Advance(1000);
  FController->Update();
  EXPECT_TRUE(transition->GetFinished());
  EXPECT_FALSE(FFreed) << "kept by its owner";
  EXPECT_TRUE(TimerOff());
  transition->SetFinished(false);
  EXPECT_TRUE(TimerOn()) << "running again";
  Advance(250);
  FController->Update();
  EXPECT_EQ(transition->GetPosition(), 25);
  rtl::Free(transition);
  EXPECT_TRUE(TimerOff());
}

class TExclusiveTransition : public TdxAnimationTransition {
  RTL_CLASS(TExclusiveTransition, TdxAnimationTransition)

 protected:
  bool CanCoexistWith(TdxAnimationTransition*) override { return false; }
};

TEST_F(AnimationController, ATransitionThatCannotCoexistIsFinishedByTheNextOne)
{
  auto* first = rtl::New<TExclusiveTransition>(1000u, ateLinear, 100, atmIn);
  FLog.Watch(first);
  first->SetFreeOnTerminate(false);
  first->Resume();
  auto* second = rtl::New<TExclusiveTransition>(1000u, ateLinear, 100, atmIn);
  EXPECT_TRUE(first->GetFinished());
  EXPECT_EQ(first->GetPosition(), 100);
  EXPECT_EQ(FLog.Last(), L"T");
  EXPECT_FALSE(second->GetFinished());
  rtl::Free(second);
  rtl::Free(first);
}

// The decision this controller follows: its timer runs exactly while some
// resumed transition is unfinished, however a transition ends. (A transition
// that ended by itself used to leave the count up and the 1 ms timer ticking
// for good.)
TEST_F(AnimationController, TheTimerStopsWhenTheLastTransitionEndsHoweverItEnds)
{
  struct TCase {
    const char* how;
    bool keep;  // FreeOnTerminate False: the transition outlives its end.
    void (*end)(TdxAnimationTransition* ATransition, TdxAnimationController* AController, TEventLog* ALog);
  };
  static constexpr TCase cases[] = {
      {"its time is up", false,
       [](TdxAnimationTransition*, TdxAnimationController* AController, TEventLog*) {
         Advance(1000);
         AController->Update();
       }},
      {"its time is up, kept", true,
       [](TdxAnimationTransition*, TdxAnimationController* AController, TEventLog*) {
         Advance(1000);
         AController->Update();
       }},
      {"a handler finishes it", false,
       [](TdxAnimationTransition*, TdxAnimationController* AController, TEventLog* ALog) {
         ALog->FinishAt = 0;
         Advance(10);
         AController->Update();
       }},
      {"Terminate", false, [](TdxAnimationTransition* T, TdxAnimationController*, TEventLog*) { T->Terminate(); }},
      {"Suspend(true)", false,
       [](TdxAnimationTransition* T, TdxAnimationController*, TEventLog*) { T->Suspend(true); }},
      {"Finished := True, kept", true,
       [](TdxAnimationTransition* T, TdxAnimationController*, TEventLog*) { T->SetFinished(true); }},
      {"it is freed", false, [](TdxAnimationTransition* T, TdxAnimationController*, TEventLog*) { rtl::Free(T); }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.how);
    FLog = TEventLog();
    TdxAnimationTransition* other = NewTransition();
    TdxAnimationTransition* transition = NewTransition();
    transition->SetFreeOnTerminate(!c.keep);
    EXPECT_TRUE(TimerOff()) << "created suspended";
    other->Resume();
    transition->Resume();
    EXPECT_TRUE(TimerOn());
    EXPECT_EQ(FController->GetActiveAnimations(), 2);
    other->Suspend(true);
    EXPECT_TRUE(TimerOn()) << "one transition still runs";
    c.end(transition, FController, &FLog);
    EXPECT_EQ(FController->GetActiveAnimations(), 0);
    EXPECT_TRUE(TimerOff());
    if (c.keep)
      rtl::Free(transition);
  }
}

// Its freed memory is zeroed, as a heap that hands it out again might leave
// it, and kept until the case ends: code that still reads a transition after
// a handler freed it then finds it unfinished and running.
class TScrubbedTransition : public TdxAnimationTransition {
  RTL_CLASS(TScrubbedTransition, TdxAnimationTransition)

 public:
  void FreeInstance() override
  {
    void* memory = CleanupInstance();
    std::memset(memory, 0, sizeof(TScrubbedTransition));
    Graveyard().push_back(memory);
  }
  static void ReleaseMemory()
  {
    for (void* memory : Graveyard())
      ::operator delete(memory);
    Graveyard().clear();
  }

 private:
  static std::vector<void*>& Graveyard()
  {
    static std::vector<void*> graveyard;
    return graveyard;
  }
};

// A handler may end its own transition for good: the owner of a kept one
// (FreeOnTerminate False) frees it at its end or to stop it halfway, or a
// handler calls Terminate on one that frees itself.
TEST_F(AnimationController, AHandlerMayFreeItsOwnTransition)
{
  enum TAction { Nothing, FreeIt, TerminateIt };
  struct TOwner {
    TdxAnimationTransition* Transition = nullptr;
    TAction OnAnimate = Nothing;
    TAction OnTerminate = Nothing;
    std::vector<std::wstring> Events;
    void Act(TAction AAction)
    {
      if (AAction == FreeIt)
        rtl::FreeAndNil(Transition);
      else if (AAction == TerminateIt)
        std::exchange(Transition, nullptr)->Terminate();
    }
    void Animate(TdxAnimationTransition*, int& APosition, bool&)
    {
      Events.push_back(L"A" + std::to_wstring(APosition));
      Act(std::exchange(OnAnimate, Nothing));
    }
    void Terminate(rtl::TObject*)
    {
      Events.push_back(L"T");
      Act(OnTerminate);
    }
  };
  enum TRun { Tick, Immediate, Terminate };
  struct TCase {
    const char* when;
    bool keep;
    TAction onAnimate;
    TAction onTerminate;
    TRun run;
    unsigned elapsed;
    std::vector<std::wstring> events;
  };
  const TCase cases[] = {
      {"freed in OnTerminate at its end", true, Nothing, FreeIt, Tick, 1000, {L"A100", L"T"}},
      {"freed in OnAnimate halfway", true, FreeIt, Nothing, Tick, 500, {L"A50"}},
      {"freed in OnAnimate of ImmediateAnimation", true, FreeIt, Nothing, Immediate, 0, {L"A0"}},
      {"freed in OnTerminate of Terminate", true, Nothing, FreeIt, Terminate, 0, {L"A100", L"T"}},
      {"Terminate in OnAnimate halfway", false, TerminateIt, Nothing, Tick, 500, {L"A50", L"A100", L"T"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.when);
    TOwner owner;
    owner.OnAnimate = c.onAnimate;
    owner.OnTerminate = c.onTerminate;
    auto* transition = rtl::New<TScrubbedTransition>(1000u, ateLinear, 100, atmIn);
    transition->SetInfo(rtl::New<TFreeWitness>(&FFreed));
    transition->SetFreeOnTerminate(!c.keep);
    transition->SetOnAnimate(TdxAnimationEvent::Bind<&TOwner::Animate>(&owner));
    transition->SetOnTerminate(rtl::TNotifyEvent::Bind<&TOwner::Terminate>(&owner));
    owner.Transition = transition;
    transition->Resume();
    Advance(c.elapsed);
    switch (c.run) {
      case Tick:
        FController->Update();
        break;
      case Immediate:
        transition->ImmediateAnimation();
        break;
      case Terminate:
        transition->Terminate();
        break;
    }
    EXPECT_EQ(owner.Events, c.events);
    EXPECT_TRUE(FFreed);
    EXPECT_EQ(owner.Transition, nullptr);
    EXPECT_EQ(FController->GetActiveAnimations(), 0);
    EXPECT_TRUE(TimerOff());
    FController->Update();
  }
  TScrubbedTransition::ReleaseMemory();
}

TEST_F(AnimationController, APauseStopsTheTimerAndResumingStartsItAgain)
{
  TdxAnimationTransition* transition = NewTransition();
  transition->Resume();
  transition->Resume();
  EXPECT_EQ(FController->GetActiveAnimations(), 1) << "a second Resume changes nothing";
  transition->Suspend();
  transition->Suspend();
  EXPECT_TRUE(TimerOff());
  transition->Resume();
  EXPECT_TRUE(TimerOff()) << "still suspended once";
  transition->Resume();
  EXPECT_TRUE(TimerOn());
  rtl::Free(transition);
}

// ---------------------------------------------------------------------------
// Listeners

class TAnimationListener : public IdxAnimationListener {
 public:
  HRESULT __stdcall QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG __stdcall AddRef() override { return ULONG(-1); }
  ULONG __stdcall Release() override { return ULONG(-1); }
  void __stdcall AnimationAfterStep(TdxAnimationController*) override { Calls.push_back(L"after"); }
  void __stdcall AnimationBeforeStep(TdxAnimationController*) override { Calls.push_back(L"before"); }
  void __stdcall AnimationRemoving(TdxAnimationTransition*) override { Calls.push_back(L"removing"); }

  std::vector<std::wstring> Calls;
};

TEST_F(AnimationController, ListenersBracketEveryStepAndHearOfRemovals)
{
  TAnimationListener listener;
  FController->AddListener(&listener);
  FController->AddListener(&listener);
  TdxAnimationTransition* transition = NewTransition();
  transition->Resume();
  Advance(100);
  FController->Update();
  Advance(900);
  FController->Update();
  FController->RemoveListener(&listener);
  FController->Update();
  EXPECT_EQ(listener.Calls, (std::vector<std::wstring>{L"before", L"after", L"before", L"removing", L"after"}));
  EXPECT_TRUE(FFreed);
}

class TFailingLog : public TEventLog {
 public:
  void Fail(TdxAnimationTransition*, int&, bool&) { throw rtl::EInvalidOperation(L"step failed"); }
};

TEST_F(AnimationController, AFailingStepStillReachesTheListenersAndThenPropagates)
{
  TAnimationListener listener;
  FController->AddListener(&listener);
  TFailingLog failing;
  TdxAnimationTransition* transition = NewTransition();
  transition->SetOnAnimate(TdxAnimationEvent::Bind<&TFailingLog::Fail>(&failing));
  transition->Resume();
  Advance(100);
  EXPECT_THROW(FController->Update(), rtl::EInvalidOperation);
  EXPECT_EQ(listener.Calls, (std::vector<std::wstring>{L"before", L"after"}));
  FController->RemoveListener(&listener);
  rtl::Free(transition);
}

// ---------------------------------------------------------------------------
// The real timer

TEST(AnimationTimer, RunsATransitionToItsEndAndIsOffOnceNothingAnimates)
{
  const int baseTimers = RunningTimerCount();
  TEventLog log;
  auto* transition = rtl::New<TdxAnimationTransition>(30u, ateCubic, 100, atmOut);
  log.Watch(transition);
  transition->Resume();
  EXPECT_EQ(RunningTimerCount(), baseTimers + 1);
  ASSERT_TRUE(PumpUntil([&] { return log.Last() == L"T"; }));
  EXPECT_EQ(log.Events[log.Events.size() - 2], L"A100");
  EXPECT_EQ(RunningTimerCount(), baseTimers) << "the 1 ms timer stopped with the last transition";
  EXPECT_EQ(dxGlobalAnimationController()->GetActiveAnimations(), 0);
}

}  // namespace
