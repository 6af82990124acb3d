// The touch scroll UI: narrow bars that float over a control's content
// while the user scrolls or moves the mouse, and hide a second after the
// activity stops.
// - IdxTouchScrollUIOwner, the object whose bars are shown (a TcxControl or
//   a part of one that hosts bars of its own);
// - TdxTouchScrollUIActivityHelper, which tells scroll activity from mouse
//   noise;
// - TdxTouchScrollUIModeManager, the process-wide state: the one owner whose
//   bars are shown, its open show requests and the hide delay;
// - TdxScrollUITimer and TdxScrollUIClock, the delays the scroll UI counts
//   and the clock a test runs them on.
//
// User-interface thread only.
#pragma once

#include <windows.h>

#include <cstdint>

#include "lookandfeel/cxScrollBar.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemEvents.h"
#include "platform/rtl/SystemUnits.h"

namespace rtl {
struct TMessage;
}
namespace vcl {
class TWinControl;
}
class TcxTimer;

RTL_DECLARE_UNIT(dxTouchScrollUI);

// The owner of a set of touch or hybrid scroll bars. Plain virtuals: the
// base control answers with the operations it already has.
struct IdxTouchScrollUIOwner : rtl::IInterface {
  RTL_GUID(IdxTouchScrollUIOwner, "{CA4C2043-1558-4D5D-8DEB-DAD8652AFFB9}")
  // Shows or hides the bars again after the scroll UI's state changed.
  virtual void ScrollUIStateChanged() = 0;
  // The control (a TcxControl) that hosts the owner's bars.
  virtual vcl::TWinControl* GetScrollUIOwnerControl() = 0;
  virtual bool HasVisibleScrollUI() = 0;
  // Hides the bars at once.
  virtual void DoHideScrollUI() = 0;
};

// The owner interface of AOwner; nil when it has none.
IdxTouchScrollUIOwner* dxGetTouchScrollUIOwner(rtl::TObject* AOwner);
// The owner's control has a window and that window is visible.
bool dxIsScrollUIOwnerShowing(IdxTouchScrollUIOwner* AOwner);
// The owner's control is AWnd or lies inside it.
bool dxIsScrollUIOwnerInside(IdxTouchScrollUIOwner* AOwner, HWND AWnd);

// ---------------------------------------------------------------------------
// Delays

// One delay of the scroll UI: after Interval milliseconds OnTimer runs, and
// again every Interval until stopped. A platform timer, or, while a test
// clock is installed, a due time on that clock.
class TdxScrollUITimer : public rtl::TObject {
  RTL_CLASS(TdxScrollUITimer, rtl::TObject)

 public:
  // For the class-level managers, which have no object to bind.
  using TProc = void (*)();

  virtual void Create(unsigned AInterval, rtl::TNotifyEvent AOnTimer);
  void SetOnTimerProc(TProc AProc) { FOnTimerProc = AProc; }
  void Destroy() override;

  // Stops first, so the count always starts from zero.
  void Start();
  void Stop();
  bool GetEnabled() const { return FEnabled; }
  unsigned GetInterval() const { return FInterval; }

 private:
  friend class TdxScrollUIClock;

  void PlatformTimerHandler(rtl::TObject* Sender);
  void Tick();

  bool FEnabled;
  std::int64_t FDueTime;
  unsigned FInterval;
  rtl::TNotifyEvent FOnTimer;
  TProc FOnTimerProc;
  TcxTimer* FPlatformTimer;
};

// A clock of a test's own. While installed, the scroll UI's delays and the
// animations run on it: Advance moves it on one millisecond at a time,
// stepping the animations and firing the delays that fall due.
class TdxScrollUIClock {
 public:
  static void Install();
  static void Uninstall();
  static bool Installed();
  static void Advance(unsigned AMilliseconds);
  // Milliseconds since Install.
  static std::int64_t Now();

 private:
  friend class TdxScrollUITimer;

  static void Register(TdxScrollUITimer* ATimer);
  static void Unregister(TdxScrollUITimer* ATimer);
  static std::int64_t ReadCounter();
};

// ---------------------------------------------------------------------------
// Activity

// One per window that reports activity: tells real scrolling moves from the
// jitter of a mouse that only rests over the content.
class TdxTouchScrollUIActivityHelper : public rtl::TObject {
  RTL_CLASS(TdxTouchScrollUIActivityHelper, rtl::TObject)

 public:
  // Moves of this many pixels on either axis count as activity.
  static constexpr int ActivityDistance = 10;

  bool CheckScrollActivity(vcl::TWinControl* AControl, const rtl::TMessage& AMessage);

  TPoint GetLastMousePos() const { return FLastMousePos; }
  bool GetMouseEnter() const { return FMouseEnter; }

 private:
  TPoint FLastMousePos{};
  bool FMouseEnter = false;
};

// ---------------------------------------------------------------------------
// The touch mode manager

// Class-level: at most one owner in the process shows its touch scroll UI.
class TdxTouchScrollUIModeManager {
 public:
  static constexpr unsigned HideDelay = 1000;

  static void ShowScrollUI(rtl::TObject* AUIOwner, bool AControlledByTimer);
  static void HideScrollUI(rtl::TObject* AUIOwner, bool AImmediately);
  static bool IsScrollUIHidden(rtl::TObject* AUIOwner);
  // Forgets AUIOwner when it is the active owner; its bars are not told.
  static void Deactivate(rtl::TObject* AUIOwner);
  static void CheckWindowMoved(HWND AWnd);
  static void CheckWindowHidden(HWND AWnd);
  // A button went down on, or up over, a touch bar of the active owner.
  static void SetPressLock(bool AValue);

  // Messages of a touch bar's own window: activity, buttons, the wheel,
  // capture loss and application switches.
  static void ProcessBarMessage(rtl::TObject* AUIOwner, TdxTouchScrollUIActivityHelper* AHelper,
                                vcl::TWinControl* ABar, const rtl::TMessage& AMessage);

  static rtl::TObject* GetActiveOwner();
  static bool GetShown();
  static int GetShowCount();
  static bool GetPressLock();
  static bool IsHideTimerActive();

 private:
  static void InternalHide(bool AImmediately);
  static void HideTimerTick();
};

// ---------------------------------------------------------------------------
// Touch bars

// A touch bar has no arrow buttons: its track is the whole bar.
class TcxPopupScrollBarViewInfo : public TcxScrollBarViewInfo {
  RTL_CLASS(TcxPopupScrollBarViewInfo, TcxScrollBarViewInfo)

 protected:
  int GetDefaultArrowButtonLength() override { return 0; }
};

// A faint track that darkens under the mouse and a narrow framed thumb.
class TcxPopupScrollBarPainter : public TcxScrollBarPainter {
  RTL_CLASS(TcxPopupScrollBarPainter, TcxScrollBarPainter)

 public:
  static constexpr std::uint8_t HotBackgroundAlpha = 50;
  static constexpr std::uint8_t ThumbAlpha = 150;
  static constexpr std::uint8_t ThumbFrameAlpha = 200;

  // The thumb narrowed to the middle third across the bar.
  static TRect ThumbRect(const TRect& R, TScrollBarKind AKind);

  void DrawPart(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, TcxScrollBarPart APart) override;
  void DrawBackground(TcxCanvas* ACanvas, const TRect& R) override;
  bool IsFadingAvailable() override { return false; }
  bool IsButtonHotTrack() override { return true; }
};
