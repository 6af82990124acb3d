// Scroll bars and corner squares that float over a control's content in the
// touch and hybrid scroll-bar modes: layered popup windows that can be
// translucent, overlap the content without taking room from it, and never
// take the focus or the activation. Both are placed from rectangles in the
// owner control's client coordinates and clipped to the part of them that
// is visible in the owner's window.
//
// Also the routines they stand on: the window that owns a control's popups,
// the visible part of a control's rectangle, the placement of a popup above
// its owner and the update of a layered window from a 32-bit bitmap; the
// scroll logic of touch and hybrid bars; and TdxScrollBarWrapper, the bar of
// a scroll-UI owner that is only a part of a control.
#pragma once

#include <windows.h>

#include <cstdint>

#include "controls/cxControls.h"
#include "controls/cxCustomPopupWindow.h"
#include "platform/vcl/GraphicsHandles.h"

class TcxBitmap32;
class TdxHybridScrollbarsManager;
class TdxTouchScrollUIActivityHelper;

// ---------------------------------------------------------------------------
// Routines

// The top-level window that owns the popup bars of AControl: its parent
// form's window; for an MDI child form the main form's; for a form that is
// itself a child window, the owner window of the popup hosting it. The
// application's active form's window when none is found.
HWND cxGetPopupOwnerWindow(vcl::TWinControl* AControl);
// The part of R (client coordinates of AControl) that is visible on screen,
// moved so that R's top-left is (0, 0); empty without a window.
vcl::TOwnedRegion cxGetVisibleRegionOfRect(vcl::TWinControl* AControl, const TRect& R);
// The clip box of the visible part of R, in AControl's window coordinates;
// empty without a window.
TRect cxGetVisibleBoxOfRect(vcl::TWinControl* AControl, const TRect& R);
// Topmost when the owner's form is topmost or missing, else directly above
// the owner's form in the z-order; never activates.
void cxPlacePopupAboveOwner(HWND AWnd, vcl::TWinControl* AOwnerControl);
// The layered window's picture from a 32-bit bitmap with per-pixel alpha,
// times AAlpha; nothing without UpdateLayeredWindow.
void cxUpdateLayeredWindowFromBitmap(HWND AWnd, TcxBitmap32* ABitmap, std::uint8_t AAlpha);

// ---------------------------------------------------------------------------
// TcxCustomPopupScrollBarHelper: the scroll logic of a popup bar; every
// invalidation renders the whole layered window again.

class TcxCustomPopupScrollBarHelper : public TcxScrollBarHelper {
  RTL_CLASS(TcxCustomPopupScrollBarHelper, TcxScrollBarHelper)

 protected:
  void DoInvalidateArea(const TRect& ARect, bool AErase) override;
  bool IsBufferedPaint() override { return false; }
};

// A touch bar: no arrow buttons, a faint track and a narrow thumb.
class TcxPopupScrollBarHelper : public TcxCustomPopupScrollBarHelper {
  RTL_CLASS(TcxPopupScrollBarHelper, TcxCustomPopupScrollBarHelper)

 protected:
  TcxScrollBarPainterClass GetPainterClass() override;
  TSize DoGetDefaultSize() override;
  TcxScrollBarViewInfoClass GetViewInfoClass() override;
};

// A hybrid bar: the standard layout, so arrow buttons as long as the bar is
// thick, drawn as wide as its manager has expanded it.
class TdxHybridScrollBarHelper : public TcxCustomPopupScrollBarHelper {
  RTL_CLASS(TdxHybridScrollBarHelper, TcxCustomPopupScrollBarHelper)

 protected:
  TcxScrollBarPainterClass GetPainterClass() override;
  TSize DoGetDefaultSize() override;
};

// ---------------------------------------------------------------------------
// TcxControlPopupScrollBar

class TcxControlPopupScrollBar : public TcxControlScrollBar, public IdxPopupControl {
  RTL_CLASS(TcxControlPopupScrollBar, TcxControlScrollBar)
  RTL_INTERFACES(IdxPopupControl)
  RTL_MESSAGES(RTL_MESSAGE(WM_MOUSEACTIVATE, WMMouseActivate))

 public:
  // AOwner is the scroll-UI owner; its scroll-UI control becomes the
  // owner control, whose scale factor the bar follows.
  void CreateEx(TcxControl* AOwner) override;
  // The same for an owner that is a part of a control: any object with
  // IdxTouchScrollUIOwner (EInvalidCast otherwise).
  void CreateEx(rtl::TObject* AOwner);
  void Destroy() override;

  void ApplyData() override;
  void AttachToOwnerControl() override;
  void SetOwnerControlRelativeBounds(const TRect& ABounds) override;
  // As SetOwnerControlRelativeBounds, with the visible part cut further to
  // AClipRect (owner client coordinates).
  void SetBoundsWithClip(const TRect& ABounds, const TRect& AClipRect);
  void SetVisible(bool AValue) override;
  void Invalidate() override;

  std::uint8_t GetAlpha() const { return FAlpha; }
  void SetAlpha(std::uint8_t AValue) { FAlpha = AValue; }
  bool GetAllowVisible() const { return FAllowVisible; }
  bool GetMouseEnter() const { return FMouseEnter; }
  // The hybrid thickness in pixels at the last invalidation.
  int GetVisibleSize() const { return FVisibleSize; }
  // A bar made without CreateEx serves its owner control.
  rtl::TObject* GetScrollbarOwner() const { return FScrollbarOwner ? FScrollbarOwner : OwnerControl; }

  // IdxPopupControl
  vcl::TWinControl* __stdcall GetOwnerControl() override { return OwnerControl; }

 protected:
  void CreateParams(vcl::TCreateParams& AParams) override;
  void DestroyWnd() override;
  TcxScrollBarHelperClass GetHelperClass() override;
  TSize GetDefaultSize() override;
  bool IsVisibleByData() override;
  void PaintOnCanvas(TcxCanvas* ACanvas) override;
  void PreProcessMessage(rtl::TMessage& AMessage) override;
  void Resize() override;
  bool DoMouseWheel(vcl::TShiftState AShift, int AWheelDelta, TPoint AMousePos) override;

  void WMMouseActivate(rtl::TMessage& AMessage);

 private:
  // Renders the bar into its layered window (only while shown).
  void RenderLayeredWindow();
  void SetBoundsAndRegion(const TRect& ABounds, vcl::TOwnedRegion ARegion);
  bool IsHybridMode() const;
  TdxHybridScrollbarsManager* HybridManager() const;
  void ProcessHybridMessage(const rtl::TMessage& AMessage);

  TdxTouchScrollUIActivityHelper* FActivityHelper = nullptr;
  std::uint8_t FAlpha = 255;
  bool FAllowVisible = false;
  bool FMouseEnter = false;
  rtl::TObject* FScrollbarOwner = nullptr;
  int FVisibleSize = 0;
};

// ---------------------------------------------------------------------------
// TcxPopupSizeGrip: the corner square between two popup bars.

class TcxPopupSizeGrip : public TcxSizeGrip {
  RTL_CLASS(TcxPopupSizeGrip, TcxSizeGrip)
  RTL_MESSAGES(RTL_MESSAGE(WM_MOUSEACTIVATE, WMMouseActivate))

 public:
  void CreateEx(TcxControl* AOwner) override;

  void PaintGrip(TcxCanvas* ACanvas) override;
  void AttachToOwnerControl() override;
  void SetOwnerControlRelativeBounds(const TRect& ABounds) override;

 protected:
  void CreateParams(vcl::TCreateParams& AParams) override;
  void CreateWnd() override;

  void WMMouseActivate(rtl::TMessage& AMessage) { AMessage.Result = MA_NOACTIVATE; }

 private:
  rtl::TObject* FScrollbarOwner = nullptr;
};

// ---------------------------------------------------------------------------
// TdxScrollBarWrapper: the scroll bar of a scroll-UI owner that is a part of
// a control (a group with content of its own). In the touch and hybrid
// modes it is a popup bar of the owner, otherwise a windowless bar that the
// control paints and feeds through its scroll-bars manager. The mode is the
// one the control had when the wrapper was made.

class TdxScrollBarWrapper : public TcxIUnknownObject, public IcxControlScrollBar {
  RTL_CLASS(TdxScrollBarWrapper, TcxIUnknownObject)
  RTL_INTERFACES(IcxControlScrollBar)

 public:
  // AOwner supports IdxTouchScrollUIOwner (EInvalidCast otherwise) and its
  // scroll-UI control is a TcxControl.
  virtual void Create(rtl::TObject* AOwner);
  void Destroy() override;

  // R and AClipRect in the owner control's client coordinates; only the
  // part of R inside AClipRect reacts and is drawn.
  void SetBoundsAndClipRect(const TRect& R, const TRect& AClipRect);
  // A windowless bar lays out its parts again; nothing for a popup bar.
  void Calculate();
  TSize GetDefaultSize();
  // A popup bar attaches to the owner's window and gets its own.
  void InitControl();
  // A popup bar renders again; a windowless one is drawn by its control.
  void Invalidate();
  TcxLookAndFeel* LookAndFeel();

  bool IsTouchScrollUIMode() const { return FIsTouchScrollUIMode; }
  // The popup bar, or nil for a windowless one.
  TcxControlPopupScrollBar* GetPopupScrollBar() const;
  // The windowless bar, or nil for a popup one.
  TcxControlScrollBarHelper* GetWindowlessScrollBar() const;
  TcxControl* GetOwnerControl() const { return FOwnerControl; }
  TScrollEvent GetOnScroll() const { return FOnScroll; }
  void SetOnScroll(TScrollEvent AValue) { FOnScroll = AValue; }

  // IcxControlScrollBar
  void ApplyData() override;
  vcl::TWinControl* __stdcall GetControl() override;
  // Owner control client coordinates for both kinds of bar.
  TRect GetBoundsRect() override;
  TcxScrollBarData* GetData() override;
  bool GetEnabled() override;
  int GetHeight() override;
  TScrollBarKind GetKind() override;
  TScrollBarInc GetLargeChange() override;
  int GetLeft() override;
  int GetMax() override;
  int GetMin() override;
  int GetPageSize() override;
  int GetPosition() override;
  TScrollBarInc GetSmallChange() override;
  int GetTop() override;
  bool GetUnlimitedTracking() override;
  bool GetVisible() override;
  int GetWidth() override;
  void SetBoundsRect(const TRect& AValue) override;
  void SetEnabled(bool AValue) override;
  void SetHeight(int AValue) override;
  void SetKind(TScrollBarKind AValue) override;
  void SetLargeChange(TScrollBarInc AValue) override;
  void SetLeft(int AValue) override;
  void SetMax(int AValue) override;
  void SetMin(int AValue) override;
  void SetPageSize(int AValue) override;
  void SetPosition(int AValue) override;
  void SetScrollParams(int AMin, int AMax, int APosition, int APageSize, bool ARedraw) override;
  void SetSmallChange(TScrollBarInc AValue) override;
  void SetTop(int AValue) override;
  void SetUnlimitedTracking(bool AValue) override;
  // Showing waits while the owner's scroll UI is hidden.
  void SetVisible(bool AValue) override;
  void SetWidth(int AValue) override;

 protected:
  virtual void CreateInnerScrollBar();
  virtual void DestroyInnerScrollBar();

 private:
  IcxControlScrollBar* Inner() const;
  void InnerScroll(rtl::TObject* ASender, TScrollCode AScrollCode, int& APosition);

  rtl::TObject* FInnerScrollBar = nullptr;
  bool FIsTouchScrollUIMode = false;
  TcxControl* FOwnerControl = nullptr;
  rtl::TObject* FTouchScrollUIOwner = nullptr;
  TScrollEvent FOnScroll;
};
