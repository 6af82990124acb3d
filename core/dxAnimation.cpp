#include "core/dxAnimation.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "core/cxClasses.h"

using enum TdxAnimationTransitionEffect;
using enum TdxAnimationTransitionEffectMode;

namespace {

// Freed by the unit's shut-down; the controller's destructor clears it.
constinit TdxAnimationController* GlobalController = nullptr;
constinit TdxReadPerformanceCounterFunc CounterOverride = nullptr;

void dxAnimationFinalization()
{
  rtl::Free(GlobalController);
}

}  // namespace

RTL_UNIT(dxAnimation, nullptr, &dxAnimationFinalization);

// ---------------------------------------------------------------------------
// Counter routines

std::int64_t dxMulDivInt64(std::int64_t A, std::int64_t B, std::int64_t C)
{
  if (C == 0)
    return 0;
  // Only the low half of A takes part; the product wraps as a 64-bit integer
  // would.
  const auto a = static_cast<std::int64_t>(static_cast<std::int32_t>(A));
  const auto product = static_cast<std::int64_t>(static_cast<std::uint64_t>(a) * static_cast<std::uint64_t>(B));
  return static_cast<std::int64_t>(std::trunc(static_cast<rtl::Extended>(product) / static_cast<rtl::Extended>(C)));
}

std::int64_t dxReadPerformanceCounter()
{
  if (CounterOverride)
    return CounterOverride();
  LARGE_INTEGER counter;
  if (QueryPerformanceCounter(&counter))
    return counter.QuadPart;
  // Milliseconds, as dxMillisecondsToTicks answers without a frequency.
  return GetTickCount();
}

std::int64_t dxMillisecondsToTicks(unsigned ATime)
{
  LARGE_INTEGER frequency;
  if (QueryPerformanceFrequency(&frequency))
    return dxMulDivInt64(ATime, frequency.QuadPart, 1000);
  return ATime;
}

TdxReadPerformanceCounterFunc dxSetReadPerformanceCounter(TdxReadPerformanceCounterFunc AFunc)
{
  return std::exchange(CounterOverride, AFunc);
}

// ---------------------------------------------------------------------------
// Easing curves

namespace {

double CubicCurve(double x)
{
  return x * x * x;
}

double BackCurve(double x)
{
  return x * x * x - 0.3 * x * std::sin(std::numbers::pi * x);
}

// Three bounces, each 1/K as long as the one before: the time is cut into
// units of which bounce i takes K^i, and each bounce is a parabola through
// its start and end whose peak falls by 1/K a bounce towards the beginning.
double BounceCurve(double x)
{
  constexpr double B = 3;
  constexpr double K = 5;
  const double KB = std::pow(K, B);
  const double S = (1 - KB) / (1 - K) + 0.5 * KB;
  const double n = std::floor(std::log(1 - S * x * (1 - K)) / std::log(K));
  const double a = (1 - std::pow(K, n)) / ((1 - K) * S);
  const double b = (1 - std::pow(K, n + 1)) / ((1 - K) * S);
  const double m = (a + b) / 2;
  const double r = m - a;
  const double u = x - m;
  return -std::pow(1 / K, B - n) / (r * r) * (u - r) * (u + r);
}

double CircleCurve(double x)
{
  const double c = std::clamp(x, 0.0, 1.0);
  return 1 - std::sqrt(1 - c * c);
}

double ElasticCurve(double x)
{
  return (std::exp(7.5 * x) - 1) / (std::exp(7.5) - 1) * std::sin(4.5 * std::numbers::pi * x);
}

double ExponentialCurve(double x)
{
  return (std::exp(7 * x) - 1) / (std::exp(7.0) - 1);
}

double SineCurve(double x)
{
  return 1 - std::sin((1 - x) * std::numbers::pi / 2);
}

double QuadraticCurve(double x)
{
  return x * x;
}

double QuarticCurve(double x)
{
  return x * x * x * x;
}

using TCurve = double (*)(double);

double ApplyMode(TCurve f, double t, TdxAnimationTransitionEffectMode AMode)
{
  switch (AMode) {
    case atmIn:
      return f(t);
    case atmOut:
      return 1 - f(1 - t);
    case atmInOut:
      break;
  }
  if (t < 0.5)
    return f(2 * t) * 0.5;
  return (1 - f(2 * (1 - t))) * 0.5 + 0.5;
}

double Progress(std::int64_t AValue, std::int64_t AMaxValue)
{
  return static_cast<double>(AValue) / static_cast<double>(AMaxValue);
}

template <TCurve f>
int ModeCurveProc(TdxAnimationTransition* Sender, std::int64_t AValue, std::int64_t AMaxValue, int ALength)
{
  const double eased = ApplyMode(f, Progress(AValue, AMaxValue), Sender->GetTransitionEffectMode());
  return static_cast<int>(rtl::Round(eased * ALength));
}

int LinearProc(TdxAnimationTransition*, std::int64_t AValue, std::int64_t AMaxValue, int ALength)
{
  return static_cast<int>(dxMulDivInt64(ALength, AValue, AMaxValue));
}

int AccelerateDecelerateProc(TdxAnimationTransition*, std::int64_t AValue, std::int64_t AMaxValue, int ALength)
{
  const double t = Progress(AValue, AMaxValue);
  return static_cast<int>(rtl::Round((1 - std::pow(t - 1, 6)) * ALength));
}

int TanhProc(TdxAnimationTransition*, std::int64_t AValue, std::int64_t AMaxValue, int ALength)
{
  const double t = Progress(AValue, AMaxValue);
  return static_cast<int>(
      std::trunc(ALength * (std::tanh(6 * t - 3) - std::tanh(-3.0)) / (2 * std::tanh(3.0)) + 0.5));
}

// Indexed by TdxAnimationTransitionEffect.
constexpr TdxAnimationTransitionEffectProc EffectProcs[] = {
    &LinearProc,
    &AccelerateDecelerateProc,
    &ModeCurveProc<&CubicCurve>,
    &TanhProc,
    &ModeCurveProc<&BackCurve>,
    &ModeCurveProc<&BounceCurve>,
    &ModeCurveProc<&CircleCurve>,
    &ModeCurveProc<&ElasticCurve>,
    &ModeCurveProc<&ExponentialCurve>,
    &ModeCurveProc<&SineCurve>,
    &ModeCurveProc<&QuadraticCurve>,
    &ModeCurveProc<&QuarticCurve>,
    &LinearProc,
};
static_assert(std::size(EffectProcs) == ateCustom + 1);

}  // namespace

// ---------------------------------------------------------------------------
// TdxAnimationTransition

namespace {

// A running watch: its transition, and whether that has been freed since.
struct TdxAnimationWatchEntry {
  TdxAnimationTransition* Transition;
  bool Freed;
};

// User-interface thread only, as the transitions are. Never destroyed: the
// unit's shut-down, which frees the transitions left, may come after the
// function-local statics have gone.
std::vector<TdxAnimationWatchEntry>& RunningWatches()
{
  static auto* const watches = new std::vector<TdxAnimationWatchEntry>;
  return *watches;
}

// Set up around calls that may reach a handler: a handler may free the
// transition it is called for (its owner stopping or dropping it), and the
// code around the call must then leave the object alone. Watches nest.
class TdxAnimationFreeWatch {
 public:
  explicit TdxAnimationFreeWatch(TdxAnimationTransition* ATransition) : FIndex(RunningWatches().size())
  {
    RunningWatches().push_back({ATransition, false});
  }
  ~TdxAnimationFreeWatch() { RunningWatches().pop_back(); }
  TdxAnimationFreeWatch(const TdxAnimationFreeWatch&) = delete;
  TdxAnimationFreeWatch& operator=(const TdxAnimationFreeWatch&) = delete;

  bool Freed() const { return RunningWatches()[FIndex].Freed; }

  // Called by the transition's destructor.
  static void TransitionFreed(TdxAnimationTransition* ATransition)
  {
    for (TdxAnimationWatchEntry& entry : RunningWatches())
      if (entry.Transition == ATransition)
        entry.Freed = true;
  }

 private:
  std::size_t FIndex;
};

// Calls AEvent; False when the handler freed ATransition.
bool CallAnimationEvent(TdxAnimationTransition* ATransition, const TdxAnimationEvent& AEvent, int& APosition,
                        bool& AFinished)
{
  const TdxAnimationFreeWatch watch(ATransition);
  AEvent(ATransition, APosition, AFinished);
  return !watch.Freed();
}

}  // namespace

void TdxAnimationTransition::Create(unsigned ATime, TdxAnimationTransitionEffect ATransitionEffect, int ALength,
                                    TdxAnimationTransitionEffectMode ATransitionEffectMode)
{
  inherited::Create();
  FTime = ATime;
  FTransitionEffect = ATransitionEffect;
  FLength = ALength;
  FTransitionEffectMode = ATransitionEffectMode;
  BindTransitionEffectProc();
  FLockCount = 1;
  FFreeOnTerminate = true;
  dxGlobalAnimationController()->Add(this);
}

void TdxAnimationTransition::Destroy()
{
  TdxAnimationFreeWatch::TransitionFreed(this);
  if (GlobalController) {
    if (FActive) {
      FActive = false;
      GlobalController->AnimationDeactivated();
    }
    GlobalController->Remove(this);
  }
  rtl::FreeAndNil(FInfo);
  inherited::Destroy();
}

void TdxAnimationTransition::BindTransitionEffectProc()
{
  FTransitionEffectProc = EffectProcs[FTransitionEffect];
}

bool TdxAnimationTransition::CanCoexistWith(TdxAnimationTransition*)
{
  return true;
}

void TdxAnimationTransition::DoBeforeAnimate()
{
  if (!FOnBeforeAnimate)
    return;
  bool finished = FFinished;
  if (CallAnimationEvent(this, FOnBeforeAnimate, FPosition, finished))
    SetFinished(finished);
}

void TdxAnimationTransition::DoAnimate()
{
  if (!FOnAnimate)
    return;
  bool finished = FFinished;
  if (CallAnimationEvent(this, FOnAnimate, FPosition, finished))
    SetFinished(finished);
}

void TdxAnimationTransition::DoAfterAnimate()
{
  if (FOnAfterAnimate) {
    bool finished = FFinished;
    if (!CallAnimationEvent(this, FOnAfterAnimate, FPosition, finished))
      return;
    FFinished = finished;
  }
  // A handler that finishes the transition makes a step of its own inside
  // the one that called it; OnTerminate comes once for both.
  if (FFinished && !FTerminateNotified) {
    FTerminateNotified = true;
    if (FOnTerminate)
      FOnTerminate(this);
  }
}

void TdxAnimationTransition::Resume()
{
  // Resuming a running transition would otherwise leave the count below
  // zero, where no Suspend and Resume pair could start it again.
  if (FLockCount == 0)
    return;
  if (--FLockCount == 0) {
    InitializeTime();
    UpdateActive();
  }
}

void TdxAnimationTransition::Suspend(bool AFinished)
{
  if (FLockCount++ != 0)
    return;
  UpdateActive();
  if (AFinished)
    Terminate();
}

void TdxAnimationTransition::Terminate()
{
  const TdxAnimationFreeWatch watch(this);
  SetFinished(true);
  if (!watch.Freed() && FFreeOnTerminate)
    rtl::Free(this);
}

void TdxAnimationTransition::ImmediateAnimation()
{
  const TdxAnimationFreeWatch watch(this);
  InitializeTime();
  while (!FFinished) {
    Animate();
    if (watch.Freed())
      return;
  }
  if (FFreeOnTerminate)
    rtl::Free(this);
}

void TdxAnimationTransition::SetFinished(bool AValue)
{
  if (FFinished == AValue)
    return;
  FCurrent = FFinish;
  FFinished = AValue;
  if (!AValue) {
    FCurrent = 0;
    FTerminateNotified = false;
    InitializeTime();
  }
  Animate();
}

void TdxAnimationTransition::SetInfo(rtl::TObject* AValue)
{
  if (FInfo != AValue)
    rtl::Free(std::exchange(FInfo, AValue));
}

void TdxAnimationTransition::InitializeTime()
{
  const std::int64_t now = dxReadPerformanceCounter();
  if (FCurrent == 0)
    FStart = now;
  else {
    // Resuming after a pause: the time already run is kept.
    const std::int64_t elapsed = FCurrent - FStart;
    FStart = now - elapsed;
    FCurrent = now;
  }
  FFinish = FStart + dxMillisecondsToTicks(FTime);
}

void TdxAnimationTransition::Animate()
{
  FCurrent = std::min(dxReadPerformanceCounter(), FFinish);
  FFinished = FFinished || FCurrent >= FFinish;
  int position;
  if (FFinished) {
    FCurrent = FFinish;
    position = FLength;
  } else
    position = FTransitionEffectProc(this, FCurrent - FStart, FFinish - FStart, FLength);
  if (position != FPosition || FPosition == 0 || FFinished) {
    FPositionChanged = true;
    FPosition = position;
    const TdxAnimationFreeWatch watch(this);
    DoBeforeAnimate();
    if (watch.Freed())
      return;
    DoAnimate();
    if (watch.Freed())
      return;
    DoAfterAnimate();
    if (watch.Freed())
      return;
  }
  UpdateActive();
}

void TdxAnimationTransition::UpdateActive()
{
  const bool active = FLockCount == 0 && !FFinished;
  if (active == FActive || !GlobalController)
    return;
  FActive = active;
  if (active)
    GlobalController->AnimationActivated();
  else
    GlobalController->AnimationDeactivated();
}

// ---------------------------------------------------------------------------
// TdxAnimationController

void TdxAnimationController::Create()
{
  inherited::Create();
  FAnimations = rtl::New<TcxObjectList>(true);
  FTimer = cxNewTimer(1, false, rtl::TNotifyEvent::Bind<&TdxAnimationController::DoTimer>(this));
}

void TdxAnimationController::Destroy()
{
  // The transitions freed below then neither look for the controller nor
  // reach the listeners.
  if (GlobalController == this)
    GlobalController = nullptr;
  FListenerList.clear();
  rtl::FreeAndNil(FTimer);
  rtl::FreeAndNil(FAnimations);
  inherited::Destroy();
}

void TdxAnimationController::Add(TdxAnimationTransition* AAnimation)
{
  for (int i = 0; i < FAnimations->GetCount(); ++i) {
    auto* animation = static_cast<TdxAnimationTransition*>(FAnimations->GetItem(i));
    if (!animation->CanCoexistWith(AAnimation))
      animation->SetFinished(true);
  }
  FAnimations->Add(AAnimation);
}

void TdxAnimationController::Remove(TdxAnimationTransition* AAnimation)
{
  for (std::size_t i = 0; i < FListenerList.size(); ++i) {
    const rtl::IPtr<IdxAnimationListener> listener = FListenerList[i];
    listener->AnimationRemoving(AAnimation);
  }
  FAnimations->Remove(AAnimation);
}

void TdxAnimationController::AddListener(IdxAnimationListener* AListener)
{
  if (std::ranges::none_of(FListenerList, [&](const auto& AItem) { return AItem.Get() == AListener; }))
    FListenerList.emplace_back(AListener);
}

void TdxAnimationController::RemoveListener(IdxAnimationListener* AListener)
{
  std::erase_if(FListenerList, [&](const auto& AItem) { return AItem.Get() == AListener; });
}

void TdxAnimationController::Update()
{
  DoTimer(FTimer);
}

void TdxAnimationController::DoTimer(rtl::TObject*)
{
  // The listeners are counted before the walks; one that leaves during a
  // walk shortens it.
  const std::size_t listenerCount = FListenerList.size();
  const auto notify = [&](void (__stdcall IdxAnimationListener::*ANotification)(TdxAnimationController*)) {
    for (std::size_t i = 0; i < listenerCount && i < FListenerList.size(); ++i) {
      const rtl::IPtr<IdxAnimationListener> listener = FListenerList[i];
      (listener.Get()->*ANotification)(this);
    }
  };
  notify(&IdxAnimationListener::AnimationBeforeStep);
  try {
    StepAnimations();
  } catch (...) {
    notify(&IdxAnimationListener::AnimationAfterStep);
    throw;
  }
  notify(&IdxAnimationListener::AnimationAfterStep);
  for (int i = 0; i < FAnimations->GetCount(); ++i)
    static_cast<TdxAnimationTransition*>(FAnimations->GetItem(i))->SetPositionChanged(false);
}

void TdxAnimationController::StepAnimations()
{
  // Newest first; a transition freed here leaves the list, so the count is
  // read again each time.
  for (int i = FAnimations->GetCount() - 1; i >= 0; --i) {
    if (i >= FAnimations->GetCount())
      continue;
    auto* animation = static_cast<TdxAnimationTransition*>(FAnimations->GetItem(i));
    if (animation->GetSuspended())
      continue;
    const TdxAnimationFreeWatch watch(animation);
    if (animation->FFinished || dxReadPerformanceCounter() >= animation->FFinish)
      animation->SetFinished(true);
    else
      animation->Animate();
    if (!watch.Freed() && animation->FFinished && animation->FFreeOnTerminate)
      rtl::Free(animation);
  }
}

void TdxAnimationController::AnimationActivated()
{
  if (++FActiveAnimations == 1 && FTimer)
    FTimer->SetEnabled(true);
}

void TdxAnimationController::AnimationDeactivated()
{
  if (--FActiveAnimations == 0 && FTimer)
    FTimer->SetEnabled(false);
}

TdxAnimationController* dxGlobalAnimationController()
{
  if (!GlobalController)
    GlobalController = rtl::New<TdxAnimationController>();
  return GlobalController;
}
