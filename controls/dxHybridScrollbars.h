// Hybrid scroll bars: thin translucent strips over the edges of a control's
// content that fade in on activity, widen to a full bar while the mouse is
// over one of them, narrow again shortly after it leaves and fade out a
// second after the last activity.
// - IdxHybridScrollbarOwner, the owner of a set of hybrid bars;
// - TdxHybridScrollbarsManager, one per owner: the fade, the expansion of
//   one bar at a time and the delays between them;
// - TdxHybridScrollbarManagers, the process-wide list that lets only one
//   owner show its bars at a time;
// - TdxHybridScrollBarPainter, which draws a hybrid bar from its manager's
//   state.
//
// User-interface thread only. The delays are TdxScrollUITimer objects and
// the fades and expansions animation transitions, so a test runs all of it
// on TdxScrollUIClock.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "controls/dxTouchScrollUI.h"
#include "lookandfeel/cxScrollBar.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/vcl/Graphics.h"

class TdxAnimationTransition;
class TdxHybridScrollbarsManager;

RTL_DECLARE_UNIT(dxHybridScrollbars);

struct IdxHybridScrollbarOwner : IdxTouchScrollUIOwner {
  RTL_GUID(IdxHybridScrollbarOwner, "{2DFA6D14-84FD-42EE-AF0C-CB418ABCA905}")
  virtual vcl::TColor GetHybridScrollbarBaseColor() = 0;
  virtual TdxHybridScrollbarsManager* GetHybridScrollbarsManager() = 0;
  virtual void InvalidateScrollBars() = 0;
};

class TdxHybridScrollbarsManager : public rtl::TObject {
  RTL_CLASS(TdxHybridScrollbarsManager, rtl::TObject)

 public:
  enum class TExpandState { estNone, estExpanding, estCollapsing };
  enum class TFadingState { fstNone, fstShowing, fstHiding };

  static constexpr unsigned HidingDelay = 1000;
  static constexpr unsigned CollapsingDelay = 500;
  // A full fade takes this long; shorter ones in proportion.
  static constexpr unsigned FullFadingTime = 1000;
  // Milliseconds per percent of expansion.
  static constexpr unsigned ExpansionTimePerPercent = 1;

  // AOwner supports IdxHybridScrollbarOwner.
  virtual void Create(rtl::TObject* AOwner);
  void Destroy() override;

  // False holds the bars until Hide releases the request; True lets them
  // hide a second after the fade-in.
  void Show(bool AHideByTimer);
  void Hide(bool AImmediately, bool AAnimated);
  IdxHybridScrollbarOwner* ScrollbarsOwner() const;

  // From the bars: the first mouse move over ABar, the mouse leaving it,
  // ABar being hidden.
  void MouseEnterScrollbar(rtl::TObject* ABar);
  void MouseLeaveScrollbar();
  void ScrollbarHidden(rtl::TObject* ABar);
  bool IsExpandedScrollbar(const rtl::TObject* ABar) const { return ABar && ABar == FAnimateObject; }

  void CheckWindowMoved(HWND AWnd);
  void CheckWindowHidden(HWND AWnd);

  // The state the bars and the painter read.
  std::uint8_t GetFadingValue() const { return FFadingValue; }
  int GetVisibleSize() const { return FVisibleSize; }
  bool GetAllowVisible() const { return FAllowVisible; }
  TExpandState GetExpandState() const { return FExpandState; }
  TFadingState GetFadingState() const { return FFadingState; }
  int GetExpandLockCount() const { return FExpandLockCount; }
  int GetHidingLockCount() const { return FHidingLockCount; }
  bool GetIsDeactivating() const { return FIsDeactivating; }
  rtl::TObject* GetAnimateObject() const { return FAnimateObject; }
  bool IsHidingTimerActive() const;
  bool IsCollapsingTimerActive() const;
  // The thickness in pixels of a bar expanded FVisibleSize percent.
  int GetBarThickness(const TdxScaleFactor* AScaleFactor) const;

 private:
  friend class TdxHybridScrollbarManagers;

  void Deactivating();
  void InternalHide(bool AAnimated);
  void StartFading(TFadingState AState);
  void StopFading();
  void FadingAnimate(TdxAnimationTransition* Sender, int& APosition, bool& AFinished);
  void FadingTerminate(rtl::TObject* Sender);
  void StartSizeAnimation(TExpandState AState);
  void StopSizeAnimation();
  void SizeAnimate(TdxAnimationTransition* Sender, int& APosition, bool& AFinished);
  void SizeTerminate(rtl::TObject* Sender);
  void ResetExpansion();
  void Collapse();
  void CompleteCollapse();
  void StartCollapsingTimer();
  void CollapsingTimerHandler(rtl::TObject* Sender);
  void StartHidingTimer();
  void HidingTimerHandler(rtl::TObject* Sender);
  void ReleaseHidingLock();
  bool IsActive() const;
  bool IsSizeAnimating() const { return FExpandState != TExpandState::estNone; }

  TFadingState FFadingState;
  TdxAnimationTransition* FFadingAnimation;
  std::uint8_t FFadingValue;
  std::uint8_t FStartFadingValue;
  TExpandState FExpandState;
  TdxAnimationTransition* FSizeAnimation;
  TdxScrollUITimer* FCollapsingTimer;
  int FExpandLockCount;
  int FStartSize;
  int FVisibleSize;
  bool FAllowVisible;
  rtl::TObject* FAnimateObject;
  int FHidingLockCount;
  TdxScrollUITimer* FHidingTimer;
  bool FIsDeactivating;
  rtl::TObject* FOwner;
};

// Class-level: the managers that showed their bars, the active one last.
class TdxHybridScrollbarManagers {
 public:
  // Moves AManager to the end, then tells the others, the newest first,
  // that they lost their turn.
  static void Activate(TdxHybridScrollbarsManager* AManager);
  static void Deactivate(TdxHybridScrollbarsManager* AManager);
  static bool IsActive(const TdxHybridScrollbarsManager* AManager);
  static int Count();
  static void CheckWindowMoved(HWND AWnd);
  static void CheckWindowHidden(HWND AWnd);
};

// Draws a hybrid bar. The bar's owner control answers the manager through
// IdxHybridScrollbarOwner, or is the bar's own window whose owner does
// (the popup bars): GetHybridOwner finds it.
class TdxHybridScrollBarPainter : public TcxScrollBarPainter {
  RTL_CLASS(TdxHybridScrollBarPainter, TcxScrollBarPainter)

 public:
  // Alpha of the parts, by state.
  static constexpr std::uint8_t ThumbPressedAlpha = 162;
  static constexpr std::uint8_t ThumbHotAlpha = 115;
  static constexpr std::uint8_t ThumbNormalAlpha = 69;
  static constexpr std::uint8_t CollapsedThumbAlpha = 133;
  static constexpr std::uint8_t ArrowPressedAlpha = 162;
  static constexpr std::uint8_t ArrowHotAlpha = 45;
  static constexpr std::uint8_t ArrowLineAlpha = 144;
  // Percent of expansion to background alpha: Round(size x 22 / 100).
  static std::uint8_t BackgroundAlpha(int AVisibleSize);

  void DrawPart(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, TcxScrollBarPart APart) override;
  void DrawBackground(TcxCanvas* ACanvas, const TRect& R) override;
  bool IsFadingAvailable() override { return false; }
  bool IsButtonHotTrack() override { return true; }

 protected:
  virtual IdxHybridScrollbarOwner* GetHybridOwner();
  // The object the manager knows as the bar.
  virtual rtl::TObject* GetBarObject();

 private:
  TdxHybridScrollbarsManager* GetManager();
  bool IsExpanded();
  // R cut to the collapsed strip, or to the current thickness, at the far
  // edge of the bar.
  TRect FarEdgeRect(const TRect& R, int AThickness);
  vcl::TColor BaseColor();
};
