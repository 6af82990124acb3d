// Scroll bars and corner squares that float over a control's content in the
// touch and hybrid scroll-bar modes: layered popup windows that can be
// translucent, overlap the content without taking room from it, and never
// take the focus or the activation. Both are placed from rectangles in the
// owner control's client coordinates and clipped to the part of them that
// is visible in the owner's window.
//
// Also the routines they stand on: the window that owns a control's popups,
// the visible part of a control's rectangle, the placement of a popup above
// its owner and the update of a layered window from a 32-bit bitmap.
#pragma once

#include <windows.h>

#include <cstdint>

#include "controls/cxControls.h"
#include "platform/vcl/GraphicsHandles.h"

class TcxBitmap32;

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

// ---------------------------------------------------------------------------
// TcxControlPopupScrollBar

class TcxControlPopupScrollBar : public TcxControlScrollBar {
  RTL_CLASS(TcxControlPopupScrollBar, TcxControlScrollBar)
  RTL_MESSAGES(RTL_MESSAGE(WM_MOUSEACTIVATE, WMMouseActivate))

 public:
  // AOwner is the scroll-UI owner; its scroll-UI control becomes the
  // owner control.
  void CreateEx(TcxControl* AOwner) override;

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
  // The main bars are made without CreateEx: their owner control is then
  // the scroll-UI owner.
  rtl::TObject* GetScrollbarOwner() const { return FScrollbarOwner ? FScrollbarOwner : OwnerControl; }

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

  std::uint8_t FAlpha = 255;
  bool FAllowVisible = false;
  rtl::TObject* FScrollbarOwner = nullptr;
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
