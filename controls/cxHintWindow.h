// The windows that show hints and the layout of a plain hint:
// - TcxBaseHintWindow: the framework's hint window with an animated show, a
//   border option, placement inside the monitor's work area and a top-most
//   show that never activates;
// - TcxCustomHintWindow: a caption and the entry through which hint style
//   controllers show their hints;
// - TdxCustomHintViewInfo and its helper: the size and painting of a hint;
//   TdxHintViewInfoHelper lays out a plain text at the DPI of the monitor
//   the hint shows on.
#pragma once

#include <windows.h>

#include "core/dxTypeHelpers.h"
#include "platform/rtl/System.h"
#include "platform/vcl/Forms.h"

class TcxCanvas;
class TcxCustomLookAndFeelPainter;
class TdxScaleFactor;

RTL_ENUM(TcxHintAnimationStyle, cxhaSlideFromLeft, cxhaSlideFromRight, cxhaSlideDownward, cxhaSlideUpward,
         cxhaSlideFromCenter, cxhaHide, cxhaActivate, cxhaFadeIn, cxhaAuto, cxhaNone);

// The AnimateWindow flags of a style, AW_SLIDE included.
DWORD cxHintAnimationFlags(TcxHintAnimationStyle AStyle);
// The style in force: none while the system's tooltip animation is off;
// cxhaAuto fades in when the system fades tooltips, else slides downward.
TcxHintAnimationStyle cxHintAnimationStyleInForce(TcxHintAnimationStyle AStyle, bool ATooltipAnimation,
                                                  bool ATooltipFade);
// A show is animated only more than 250 ms after the last activation ended
// (the tick difference taken unsigned, so a wrapped counter works) and for a
// text shorter than 100 characters.
bool cxHintCanAnimate(DWORD ANow, DWORD ALastActive, int ATextLength);

// What a window tells about the hinted area before it activates.
struct IcxHintWindowHelper : rtl::IInterface {
  RTL_GUID(IcxHintWindowHelper, "{5B2E8C4A-7C11-4E6B-9B0F-2E4A9C7D5F13}")
  virtual void __stdcall SetHintAreaBounds(const TRect& ABounds, bool AUseMousePos) = 0;
};

class TcxBaseHintWindow : public vcl::THintWindow, public IcxHintWindowHelper {
  RTL_CLASS(TcxBaseHintWindow, vcl::THintWindow)
  RTL_INTERFACES(IcxHintWindowHelper)
  RTL_MESSAGES(RTL_MESSAGE(vcl::CM_TEXTCHANGED, CMTextChanged), RTL_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd),
               RTL_MESSAGE(WM_WINDOWPOSCHANGING, WMWindowPosChanging))

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;

  void ActivateHint(const TRect& ARect, const rtl::String& AHint) override;
  // Clamped into the work area of the monitor nearest to (ALeft, ATop); the
  // left and top edges win for a window larger than the area.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  void __stdcall SetHintAreaBounds(const TRect& ABounds, bool AUseMousePos) override;

  TcxHintAnimationStyle GetAnimationStyle() const { return FAnimationStyle; }
  void SetAnimationStyle(TcxHintAnimationStyle AValue) { FAnimationStyle = AValue; }
  int GetAnimationDelay() const { return FAnimationDelay; }
  void SetAnimationDelay(int AValue) { FAnimationDelay = AValue; }
  vcl::TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(vcl::TBorderStyle AValue) { FBorderStyle = AValue; }
  bool GetStandardHint() const { return FStandardHint; }
  bool GetHasAnimation() const { return FHasAnimation; }
  const TRect& GetHintAreaBounds() const { return FHintAreaBounds; }
  bool GetUseMousePos() const { return FUseMousePos; }
  TcxCanvas* GetcxCanvas() const { return FcxCanvas; }

 protected:
  // Moves R, not resizing it, into the work area of the monitor nearest to
  // the mouse cursor.
  virtual void CorrectRect(TRect& R);
  virtual void ResetWindowRegion();
  virtual void SetWindowRegion() {}
  virtual bool HasWindowRegion() { return false; }
  virtual void ShowHintWindow();
  // The tick count; tests give the window a clock of their own.
  virtual DWORD GetCurrentTick() { return GetTickCount(); }
  // The system's tooltip animation settings.
  virtual bool IsTooltipAnimation();
  virtual bool IsTooltipFade();

  void CreateParams(vcl::TCreateParams& AParams) override;

  void CMTextChanged(vcl::TMessage& AMessage);
  void WMEraseBkgnd(vcl::TMessage& AMessage);
  void WMWindowPosChanging(vcl::TMessage& AMessage);

  bool FStandardHint;
  bool FNeedEraseBackground;

 private:
  // Animates the show when allowed; answers whether it did.
  bool AnimateShow(const rtl::String& AHint);

  bool FActivating;
  TcxHintAnimationStyle FAnimationStyle;
  int FAnimationDelay;
  vcl::TBorderStyle FBorderStyle;
  TcxCanvas* FcxCanvas;
  bool FHasAnimation;
  TRect FHintAreaBounds;
  DWORD FLastActive;
  bool FUseMousePos;
};

using TcxBaseHintWindowClass = rtl::ClassOf<TcxBaseHintWindow>;

class TcxCustomHintWindow : public TcxBaseHintWindow {
  RTL_CLASS(TcxCustomHintWindow, TcxBaseHintWindow)

 public:
  // Shows the hint at the screen point (X, Y); the base shows nothing.
  virtual void ShowHint(int /*X*/, int /*Y*/, int /*AMaxWidth*/, const rtl::String& /*AHint*/,
                        const rtl::String& /*ACaption*/)
  {
  }
  void SetStandardHint(bool AValue);
  const rtl::String& GetCaption() const { return FCaption; }
  void SetCaption(const rtl::String& AValue) { FCaption = AValue; }
  // The painter of the hinted control's look and feel when the active hint
  // style controller asks for it, else the controller's; nil without an
  // active controller.
  virtual TcxCustomLookAndFeelPainter* GetLookAndFeelPainter();

 private:
  rtl::String FCaption;
};

using TcxCustomHintWindowClass = rtl::ClassOf<TcxCustomHintWindow>;

// ---------------------------------------------------------------------------
// Hint layout

class TdxCustomHintViewInfoHelper : public rtl::TObject {
  RTL_CLASS(TdxCustomHintViewInfoHelper, rtl::TObject)

 public:
  void Create() {}
  // The system scale factor in the base.
  virtual TdxScaleFactor* GetScaleFactor();
  virtual void Calculate(vcl::TCanvas* ACanvas) = 0;
  virtual void Paint(vcl::TCanvas* ACanvas) = 0;

  const TRect& GetBoundsRect() const { return FBoundsRect; }
  bool UseRightToLeftAlignment = false;
  bool UseRightToLeftReading = false;

 protected:
  TRect FBoundsRect{};
};

class TdxCustomHintViewInfo : public rtl::TObject {
  RTL_CLASS(TdxCustomHintViewInfo, rtl::TObject)

 public:
  virtual void Create();
  void Destroy() override;
  virtual void Calculate(vcl::TCanvas* ACanvas);
  virtual void Paint(vcl::TCanvas* ACanvas);
  TRect GetBoundsRect() const { return FHelper ? FHelper->GetBoundsRect() : TRect{}; }
  TdxCustomHintViewInfoHelper* GetHelper() const { return FHelper; }

  bool UseRightToLeftAlignment = false;
  bool UseRightToLeftReading = false;

 protected:
  virtual TdxCustomHintViewInfoHelper* CreateHelper() = 0;
  virtual void DestroyHelper();

 private:
  TdxCustomHintViewInfoHelper* FHelper = nullptr;
};

// A plain text hint (the text followed by a shortcut text) at the DPI of the
// monitor nearest to the cursor position it is made for.
class TdxHintViewInfoHelper : public TdxCustomHintViewInfoHelper {
  RTL_CLASS(TdxHintViewInfoHelper, TdxCustomHintViewInfoHelper)

 public:
  virtual void Create(const rtl::String& AHint, const rtl::String& AShortCut, const TPoint& ACursorPos);
  void Destroy() override;
  // The DPI of the monitor nearest to the cursor position over 96, read
  // afresh at every call.
  TdxScaleFactor* GetScaleFactor() override;
  void Calculate(vcl::TCanvas* ACanvas) override;
  void Paint(vcl::TCanvas* ACanvas) override;
  const rtl::String& GetText() const { return FText; }

 protected:
  virtual void AddTextMargins(TSize& ASize);
  virtual TRect GetTextRect();
  virtual void DrawHintText(vcl::TCanvas* ACanvas);
  virtual void PrepareFont(vcl::TCanvas* ACanvas);
  virtual void PrepareFontColor(vcl::TCanvas* ACanvas);
  // The work area the text may fill; the monitor's under the cursor.
  virtual TRect GetTextArea();

 private:
  TPoint FPos;
  TdxScaleFactor* FScaleFactor = nullptr;
  rtl::String FText;
};
