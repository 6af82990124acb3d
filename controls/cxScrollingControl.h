// Controls whose content is larger than their window and scrolls in pixels.
// - TcxScrollingControl keeps a left and a top position clamped to its
//   content, feeds the control's two scroll bars from them and recalculates
//   its layout on every change that can affect it;
// - TdxScrollHelper gives the same position logic to any control that shows
//   itself through IdxScrollingControl (the base control's gesture
//   scrolling uses it).
#pragma once

#include <windows.h>

#include "controls/cxControls.h"
#include "platform/rtl/SystemTypes.h"

// How much of the layout a change makes stale.
RTL_ENUM(TdxChangeType, ctLight, ctMedium, ctHard);
RTL_ENUM(TdxAutoSizeMode, asNone, asAutoWidth, asAutoHeight, asAutoSize);

// How MakeVisible brings a rectangle into view: only when it lies entirely
// outside, so that it is fully visible, or with its start at half the
// client size.
enum class TdxMakeVisibleMode { mvmOutside = 0, mvmFully = 1, mvmCentered = 2 };

// A control scrolled by pixel positions.
struct IdxScrollingControl : rtl::IInterface {
  RTL_GUID(IdxScrollingControl, "{7F141990-5975-4E6B-BFAF-03D378860F20}")
  virtual int __stdcall GetLeftPos() = 0;
  virtual void __stdcall SetLeftPos(int AValue) = 0;
  virtual int __stdcall GetTopPos() = 0;
  virtual void __stdcall SetTopPos(int AValue) = 0;
  virtual TSize __stdcall GetContentSize() = 0;
  virtual TcxControl* __stdcall GetInstance() = 0;
};

// ---------------------------------------------------------------------------
// TcxScrollingControl

class TcxScrollingControl : public TcxControl, public IdxScrollingControl {
  RTL_CLASS(TcxScrollingControl, TcxControl)
  RTL_INTERFACES(IdxScrollingControl)

 public:
  void Create(rtl::TComponent* AOwner) override;

  // Recalculates what AType makes stale, then the scroll bars and the
  // positions; nothing before the window exists.
  virtual void LayoutChanged(TdxChangeType AType);
  // Scrolls so that R (client coordinates) comes into view as AMode asks.
  void MakeVisible(const TRect& R, TdxMakeVisibleMode AMode);

  int __stdcall GetLeftPos() override { return FLeftPos; }
  int __stdcall GetTopPos() override { return FTopPos; }
  void __stdcall SetLeftPos(int AValue) override;
  void __stdcall SetTopPos(int AValue) override;
  TSize __stdcall GetContentSize() override { return TSize{0, 0}; }
  TcxControl* __stdcall GetInstance() override { return this; }

  TdxAutoSizeMode GetAutoSizeMode() const { return FAutoSizeMode; }
  virtual void SetAutoSizeMode(TdxAutoSizeMode AValue);
  void SetAutoSize(bool AValue) override;

  // Pixels per line step, also the scroll bars' small change.
  virtual int GetScrollStep() { return 10; }
  virtual TSize GetVisibleSize();

  void Scroll(TScrollBarKind AScrollBarKind, TScrollCode AScrollCode, int& AScrollPos) override;

 protected:
  virtual bool CanCalculate() { return HandleAllocated(); }
  virtual void DoCalculate(TdxChangeType /*AType*/) {}
  // After the positions changed; ADelta is old minus new per axis.
  virtual void FullRefresh(const TPoint& ADelta);
  virtual bool CanUpdateScrollBars() { return HandleAllocated(); }

  void SetPos(TPoint P);
  void CheckPositions(TPoint& P);

  void LookAndFeelChanged(TcxLookAndFeel* ASender, TcxLookAndFeelValues AChangedValues) override;
  void BoundsChanged() override;
  void InitScrollBarsParameters() override;
  void CreateHandle() override;
  void Loaded() override;

 private:
  TdxAutoSizeMode FAutoSizeMode;
  bool FAutoSizeModeSetting;
  int FLeftPos;
  int FTopPos;
};

// ---------------------------------------------------------------------------
// TdxScrollHelper: the position logic for any IdxScrollingControl, with a
// fixed step of 10 pixels and the instance's client bounds as the page.

class TdxScrollHelper {
 public:
  TdxScrollHelper() = delete;

  // The control's window exists.
  static bool IsScrollDataValid(IdxScrollingControl* AControl);
  // Pans by the finger's movement; an axis whose bar is hidden or disabled
  // stays.
  static void GestureScroll(IdxScrollingControl* AControl, int ADeltaX, int ADeltaY);
  static TSize GetClientSize(IdxScrollingControl* AControl);
  static void InitScrollBarsParameters(IdxScrollingControl* AControl);
  static void Scroll(IdxScrollingControl* AControl, TScrollBarKind AScrollBarKind, TScrollCode AScrollCode,
                     int& AScrollPos);
  // Sets the current positions again, clamping them to the content.
  static void CheckPositions(IdxScrollingControl* AControl);
  static void SetPos(IdxScrollingControl* AControl, int X, int Y);
  static void SetLeftPos(IdxScrollingControl* AControl, int AValue);
  static void SetTopPos(IdxScrollingControl* AControl, int AValue);

 private:
  static int CheckLeftPos(IdxScrollingControl* AControl, int AValue);
  static int CheckTopPos(IdxScrollingControl* AControl, int AValue);
  static void UpdateScrollingControl(IdxScrollingControl* AControl);
};
