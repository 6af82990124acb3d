#pragma once
// Time-based animation of an integer from 0 to a length:
// - TdxAnimationTransition, one animation: duration, length, easing curve and
//   mode, its position computed from the performance counter;
// - TdxAnimationController, the process-wide stepper of every running
//   transition on a 1 ms TcxTimer, which brackets each step with calls to
//   its IdxAnimationListener listeners;
// - the twelve easing curves and the counter routines they run on.
//
// User-interface thread only: the steps come from the timer's messages.

#include <cstdint>
#include <vector>

#include "platform/rtl/System.h"
#include "platform/rtl/SystemEvents.h"
#include "platform/rtl/SystemTypes.h"
#include "platform/rtl/SystemUnits.h"

// The unit's shut-down frees the global controller.
RTL_DECLARE_UNIT(dxAnimation);

class TcxObjectList;
class TcxTimer;
class TdxAnimationController;
class TdxAnimationTransition;

RTL_ENUM(TdxAnimationTransitionEffect, ateLinear, ateAccelerateDecelerate, ateCubic, ateTanh, ateBack, ateBounce,
         ateCircle, ateElastic, ateExponential, ateSine, ateQuadratic, ateQuartic, ateCustom);
RTL_ENUM(TdxAnimationTransitionEffectMode, atmIn, atmOut, atmInOut);

// AValue is the elapsed tick count, AMaxValue the duration in ticks; the
// result is the position, 0 to ALength.
using TdxAnimationTransitionEffectProc = int (*)(TdxAnimationTransition* Sender, std::int64_t AValue,
                                                 std::int64_t AMaxValue, int ALength);

// A handler may change APosition for itself and end the transition by
// setting AFinished.
using TdxAnimationEvent = rtl::TMethod<void(TdxAnimationTransition* Sender, int& APosition, bool& AFinished)>;

struct IdxAnimationListener : rtl::IInterface {
  RTL_GUID(IdxAnimationListener, "{0CAAD87B-8A4B-464B-A738-1340BD80C3D8}")
  virtual void __stdcall AnimationAfterStep(TdxAnimationController* AController) = 0;
  virtual void __stdcall AnimationBeforeStep(TdxAnimationController* AController) = 0;
  virtual void __stdcall AnimationRemoving(TdxAnimationTransition* AAnimation) = 0;
};

// Created suspended and already listed in the global controller; Resume
// starts its clock. Ends when its time is up, when a handler or Terminate
// finishes it, or with Suspend(true); the controller then frees it when
// FreeOnTerminate (the default). Freeing a transition stops it.
class TdxAnimationTransition : public rtl::TObject {
  RTL_CLASS(TdxAnimationTransition, rtl::TObject)

 public:
  // ATime in milliseconds.
  virtual void Create(unsigned ATime,
                      TdxAnimationTransitionEffect ATransitionEffect = TdxAnimationTransitionEffect::ateLinear,
                      int ALength = 0,
                      TdxAnimationTransitionEffectMode ATransitionEffectMode = TdxAnimationTransitionEffectMode::atmIn);
  void Destroy() override;

  // Undoes one Suspend (or the suspension of creation); the last one starts
  // the clock, or restarts it so that the time spent paused is not counted.
  void Resume();
  // Pauses: steps are skipped until the matching Resume. With AFinished a
  // running transition ends instead (Terminate).
  void Suspend(bool AFinished = false);
  // Finishes it (one last step at full length); frees it when
  // FreeOnTerminate.
  void Terminate();
  // Runs the whole animation at once, in a busy loop, firing the events of
  // every step; frees it when finished and FreeOnTerminate.
  void ImmediateAnimation();
  virtual void RefreshAnimatedObject() {}

  bool GetFinished() const { return FFinished; }
  // True jumps to the end, False restarts from the beginning; each change
  // makes one step, with its events.
  void SetFinished(bool AValue);
  bool GetFreeOnTerminate() const { return FFreeOnTerminate; }
  void SetFreeOnTerminate(bool AValue) { FFreeOnTerminate = AValue; }
  // The user's object; owned, freed with the transition or when replaced.
  rtl::TObject* GetInfo() const { return FInfo; }
  void SetInfo(rtl::TObject* AValue);
  int GetLength() const { return FLength; }
  int GetPosition() const { return FPosition; }
  // True after a step that moved the position, until the controller's step
  // is over.
  bool GetPositionChanged() const { return FPositionChanged; }
  void SetPositionChanged(bool AValue) { FPositionChanged = AValue; }
  bool GetSuspended() const { return FLockCount > 0; }
  unsigned GetTime() const { return FTime; }
  TdxAnimationTransitionEffect GetTransitionEffect() const { return FTransitionEffect; }
  TdxAnimationTransitionEffectMode GetTransitionEffectMode() const { return FTransitionEffectMode; }
  TdxAnimationTransitionEffectProc GetTransitionEffectProc() const { return FTransitionEffectProc; }

  TdxAnimationEvent GetOnAfterAnimate() const { return FOnAfterAnimate; }
  void SetOnAfterAnimate(TdxAnimationEvent AValue) { FOnAfterAnimate = AValue; }
  TdxAnimationEvent GetOnAnimate() const { return FOnAnimate; }
  void SetOnAnimate(TdxAnimationEvent AValue) { FOnAnimate = AValue; }
  TdxAnimationEvent GetOnBeforeAnimate() const { return FOnBeforeAnimate; }
  void SetOnBeforeAnimate(TdxAnimationEvent AValue) { FOnBeforeAnimate = AValue; }
  rtl::TNotifyEvent GetOnTerminate() const { return FOnTerminate; }
  void SetOnTerminate(rtl::TNotifyEvent AValue) { FOnTerminate = AValue; }

 protected:
  // Chooses FTransitionEffectProc from FTransitionEffect; a descendant gives
  // ateCustom its own curve here.
  virtual void BindTransitionEffectProc();
  // False finishes this transition when AAnimation joins the controller.
  virtual bool CanCoexistWith(TdxAnimationTransition* AAnimation);
  virtual void DoAfterAnimate();
  virtual void DoAnimate();
  virtual void DoBeforeAnimate();

  TdxAnimationTransitionEffectProc FTransitionEffectProc;

 private:
  friend class TdxAnimationController;

  void Animate();
  void InitializeTime();
  // Keeps the controller's count of running transitions: one that is
  // resumed, unfinished and listed counts, whatever ended it otherwise.
  void UpdateActive();

  std::int64_t FCurrent;
  std::int64_t FFinish;
  std::int64_t FStart;
  bool FActive;
  bool FFinished;
  bool FFreeOnTerminate;
  int FLength;
  int FLockCount;
  int FPosition;
  bool FPositionChanged;
  // OnTerminate has been called for the present finish.
  bool FTerminateNotified;
  unsigned FTime;
  TdxAnimationTransitionEffect FTransitionEffect;
  TdxAnimationTransitionEffectMode FTransitionEffectMode;
  TdxAnimationEvent FOnAfterAnimate;
  TdxAnimationEvent FOnAnimate;
  TdxAnimationEvent FOnBeforeAnimate;
  rtl::TNotifyEvent FOnTerminate;
  rtl::TObject* FInfo;
};

// Steps every resumed transition on a 1 ms timer that runs exactly while some
// resumed transition is unfinished.
class TdxAnimationController : public rtl::TObject {
  RTL_CLASS(TdxAnimationController, rtl::TObject)

 public:
  virtual void Create();
  // The listeners go first, then the timer, then the transitions still
  // listed (which no longer reach any listener).
  void Destroy() override;

  // Finishes each listed transition that cannot coexist with AAnimation
  // (oldest first), then lists AAnimation.
  void Add(TdxAnimationTransition* AAnimation);
  // Tells the listeners, then unlists AAnimation without freeing it.
  void Remove(TdxAnimationTransition* AAnimation);
  // A listener already present is not added twice.
  void AddListener(IdxAnimationListener* AListener);
  void RemoveListener(IdxAnimationListener* AListener);
  // One step now, as a tick would make it.
  void Update();

  // The transitions counted as running: resumed, unfinished, listed.
  int GetActiveAnimations() const { return FActiveAnimations; }

 protected:
  // Each tick: the listeners' AnimationBeforeStep, one step of every resumed
  // transition (newest first, freeing those that end with FreeOnTerminate),
  // the listeners' AnimationAfterStep (also when a step raised, which then
  // propagates), and PositionChanged cleared.
  virtual void DoTimer(rtl::TObject* Sender);

 private:
  friend class TdxAnimationTransition;

  void AnimationActivated();
  void AnimationDeactivated();
  void StepAnimations();

  TcxObjectList* FAnimations;
  int FActiveAnimations;
  std::vector<rtl::IPtr<IdxAnimationListener>> FListenerList;
  TcxTimer* FTimer;
};

// Created on first use; freed by the unit's shut-down.
TdxAnimationController* dxGlobalAnimationController();

// Trunc(A x B / C), A taken as its low 32 bits, sign-extended, the division
// in extended precision.
std::int64_t dxMulDivInt64(std::int64_t A, std::int64_t B, std::int64_t C);
// The performance counter; GetTickCount where it fails.
std::int64_t dxReadPerformanceCounter();
// In the units of dxReadPerformanceCounter.
std::int64_t dxMillisecondsToTicks(unsigned ATime);

// Lets tests run the transitions on a clock of their own; nil restores the
// performance counter. Answers the function replaced.
using TdxReadPerformanceCounterFunc = std::int64_t (*)();
TdxReadPerformanceCounterFunc dxSetReadPerformanceCounter(TdxReadPerformanceCounterFunc AFunc);
