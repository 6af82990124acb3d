#include "controls/cxPopupScrollBars.h"

#include <cmath>

#include "controls/cxCustomPopupWindow.h"
#include "controls/cxWindowUtils.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "platform/vcl/Forms.h"

namespace {

// The popup grip's constant opacity.
constexpr std::uint8_t PopupSizeGripAlpha = 50;

// A device context of AControl's window limited to R (client coordinates),
// clipped by siblings and parents as the screen shows it.
vcl::TWindowDC VisibleRectDC(vcl::TWinControl* AControl, const TRect& R)
{
  const HWND wnd = AControl->GetHandle();
  // GetDCEx takes the region over when it succeeds.
  vcl::TOwnedRegion clip(CreateRectRgn(R.left, R.top, R.right, R.bottom));
  POINT origin{0, 0};
  ClientToScreen(wnd, &origin);
  RECT window{};
  GetWindowRect(wnd, &window);
  // DCX_WINDOW works in window coordinates; the region is in screen ones.
  OffsetRgn(clip.Get(), origin.x, origin.y);
  const HDC dc =
      GetDCEx(wnd, clip.Get(), DCX_WINDOW | DCX_CLIPSIBLINGS | DCX_PARENTCLIP | DCX_INTERSECTRGN | DCX_CACHE);
  if (dc)
    clip.Release();
  return vcl::TWindowDC(wnd, dc);
}

template <class T>
T* AsOrNil(rtl::TObject* AObject)
{
  return rtl::Is<T>(AObject) ? static_cast<T*>(AObject) : nullptr;
}

HWND ControlWindowOrNil(vcl::TWinControl* AControl)
{
  return AControl && AControl->HandleAllocated() ? AControl->GetHandle() : nullptr;
}

}  // namespace

// ---------------------------------------------------------------------------
// Routines

HWND cxGetPopupOwnerWindow(vcl::TWinControl* AControl)
{
  HWND result = nullptr;
  vcl::TCustomForm* form = AControl ? vcl::GetParentForm(AControl) : nullptr;
  if (form && form->HandleAllocated()) {
    if ((GetWindowLongW(form->GetHandle(), GWL_STYLE) & WS_CHILD) == 0) {
      result = form->GetHandle();
    } else {
      // A form inside a popup: the popup's own owner holds the bars.
      rtl::IPtr<IdxPopupControl> popup;
      if (rtl::Supports(form, &popup))
        result = cxGetPopupOwnerWindow(popup->GetOwnerControl());
    }
  }
  if (!result)
    result = ControlWindowOrNil(vcl::Screen()->GetActiveForm());
  return result;
}

vcl::TOwnedRegion cxGetVisibleRegionOfRect(vcl::TWinControl* AControl, const TRect& R)
{
  vcl::TOwnedRegion result(CreateRectRgn(0, 0, 0, 0));
  if (!AControl || !AControl->HandleAllocated() || IsRectEmpty(&R))
    return result;
  const vcl::TWindowDC dc = VisibleRectDC(AControl, R);
  if (!dc || GetRandomRgn(dc.Get(), result.Get(), SYSRGN) != 1)
    return vcl::TOwnedRegion(CreateRectRgn(0, 0, 0, 0));
  // The system region is in screen coordinates.
  POINT origin{R.left, R.top};
  ClientToScreen(AControl->GetHandle(), &origin);
  OffsetRgn(result.Get(), -origin.x, -origin.y);
  return result;
}

TRect cxGetVisibleBoxOfRect(vcl::TWinControl* AControl, const TRect& R)
{
  TRect box{};
  if (!AControl || !AControl->HandleAllocated() || IsRectEmpty(&R))
    return box;
  const vcl::TWindowDC dc = VisibleRectDC(AControl, R);
  if (!dc || GetClipBox(dc.Get(), &box) == NULLREGION || GetClipBox(dc.Get(), &box) == ERROR)
    return TRect{};
  return box;
}

void cxPlacePopupAboveOwner(HWND AWnd, vcl::TWinControl* AOwnerControl)
{
  vcl::TCustomForm* form = AOwnerControl ? vcl::GetParentForm(AOwnerControl) : nullptr;
  const HWND formWnd = ControlWindowOrNil(form);
  if (!formWnd || (GetWindowLongW(formWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) {
    cxSetWindowZOrder(AWnd, HWND_TOPMOST, false, SWP_NOOWNERZORDER);
    return;
  }
  // Directly above the form: after the window that precedes it.
  if (const HWND previous = GetWindow(formWnd, GW_HWNDPREV); previous && previous != AWnd)
    cxSetWindowZOrder(AWnd, previous, false, SWP_NOOWNERZORDER);
}

void cxUpdateLayeredWindowFromBitmap(HWND AWnd, TcxBitmap32* ABitmap, std::uint8_t AAlpha)
{
  const TcxUpdateLayeredWindowFunc update = cxUpdateLayeredWindowFunc();
  if (!update || !AWnd || !ABitmap)
    return;
  BLENDFUNCTION blend{AC_SRC_OVER, 0, AAlpha, AC_SRC_ALPHA};
  POINT source{0, 0};
  SIZE size{ABitmap->GetWidth(), ABitmap->GetHeight()};
  update(AWnd, nullptr, nullptr, &size, ABitmap->GetCanvas()->GetHandle(), &source, 0, &blend, ULW_ALPHA);
}

// ---------------------------------------------------------------------------
// TcxCustomPopupScrollBarHelper

void TcxCustomPopupScrollBarHelper::DoInvalidateArea(const TRect& /*ARect*/, bool /*AErase*/)
{
  // A layered window gets no paint requests: a part's change renders the
  // whole bar again.
  if (!IsOwnerHandleAllocated())
    return;
  if (auto* bar = AsOrNil<TcxControlPopupScrollBar>(GetOwner()->GetControl()))
    bar->Invalidate();
}

// ---------------------------------------------------------------------------
// TcxControlPopupScrollBar

void TcxControlPopupScrollBar::CreateEx(TcxControl* AOwner)
{
  FAlpha = 255;
  FScrollbarOwner = AOwner;
  inherited::CreateEx(AOwner ? AsOrNil<TcxControl>(AOwner->GetScrollUIOwnerControl()) : nullptr);
}

void TcxControlPopupScrollBar::CreateParams(vcl::TCreateParams& AParams)
{
  inherited::CreateParams(AParams);
  AParams.Style = WS_POPUP;
  AParams.ExStyle = WS_EX_LAYERED;
}

void TcxControlPopupScrollBar::DestroyWnd()
{
  GetHelper()->AssignVisibleRegion(nullptr);
  inherited::DestroyWnd();
}

TcxScrollBarHelperClass TcxControlPopupScrollBar::GetHelperClass()
{
  return TcxScrollBarHelperClass::Of<TcxCustomPopupScrollBarHelper>();
}

TSize TcxControlPopupScrollBar::GetDefaultSize()
{
  if (OwnerControl && OwnerControl->IsTouchScrollbarMode())
    return cxGetTouchScrollBarSize(GetScaleFactor());
  return cxGetHybridScrollBarSize(GetScaleFactor(), true);
}

void TcxControlPopupScrollBar::ApplyData()
{
  FAllowVisible = GetData()->FVisible;
  const bool wasVisible = FVisible;
  inherited::ApplyData();
  if (FVisible && !wasVisible)
    SetVisible(true);
}

void TcxControlPopupScrollBar::AttachToOwnerControl()
{
  const HWND owner = cxGetPopupOwnerWindow(OwnerControl);
  if (owner != GetParentWindow()) {
    SetParentWindow(owner);
    if (HandleAllocated())
      RecreateWnd();
  }
  if (OwnerControl)
    SetBiDiMode(OwnerControl->GetBiDiMode());
}

bool TcxControlPopupScrollBar::IsVisibleByData()
{
  return GetData()->FVisible && !(OwnerControl && OwnerControl->IsScrollUIHidden(GetScrollbarOwner()));
}

void TcxControlPopupScrollBar::SetVisible(bool AValue)
{
  vcl::TControl::SetVisible(AValue);
  if (FVisible && HandleAllocated()) {
    RenderLayeredWindow();
    cxPlacePopupAboveOwner(GetHandle(), OwnerControl);
  }
}

void TcxControlPopupScrollBar::Invalidate()
{
  if (FVisible)
    RenderLayeredWindow();
}

void TcxControlPopupScrollBar::Resize()
{
  inherited::Resize();
  if (FVisible)
    RenderLayeredWindow();
}

void TcxControlPopupScrollBar::RenderLayeredWindow()
{
  if (!HandleAllocated() || !IsWindowVisible(GetHandle()) || FWidth <= 0 || FHeight <= 0)
    return;
  rtl::TOwnedPtr<TcxBitmap32> bitmap(
      rtl::NewWith<TcxBitmap32>([this](TcxBitmap32* B) { B->CreateSize(FWidth, FHeight, true); }));
  PaintOnCanvas(bitmap->GetcxCanvas());
  cxUpdateLayeredWindowFromBitmap(GetHandle(), bitmap.get(), FAlpha);
}

void TcxControlPopupScrollBar::PaintOnCanvas(TcxCanvas* ACanvas)
{
  GetHelper()->Paint(ACanvas);
}

void TcxControlPopupScrollBar::SetBoundsAndRegion(const TRect& ABounds, vcl::TOwnedRegion ARegion)
{
  if (!OwnerControl || !OwnerControl->HandleAllocated())
    return;
  const TPoint topLeft = OwnerControl->ClientToScreen(TPoint{ABounds.left, ABounds.top});
  vcl::TControl::SetBoundsRect(TRect{topLeft.x, topLeft.y, topLeft.x + ABounds.right - ABounds.left,
                                     topLeft.y + ABounds.bottom - ABounds.top});
  GetHelper()->AssignVisibleRegion(ARegion.Release());
  Invalidate();
}

void TcxControlPopupScrollBar::SetOwnerControlRelativeBounds(const TRect& ABounds)
{
  if (!OwnerControl || !OwnerControl->HandleAllocated())
    return;
  SetBoundsAndRegion(ABounds, cxGetVisibleRegionOfRect(OwnerControl, ABounds));
}

void TcxControlPopupScrollBar::SetBoundsWithClip(const TRect& ABounds, const TRect& AClipRect)
{
  if (!OwnerControl || !OwnerControl->HandleAllocated())
    return;
  vcl::TOwnedRegion region = cxGetVisibleRegionOfRect(OwnerControl, ABounds);
  vcl::TOwnedRegion clip(CreateRectRgn(AClipRect.left - ABounds.left, AClipRect.top - ABounds.top,
                                       AClipRect.right - ABounds.left, AClipRect.bottom - ABounds.top));
  CombineRgn(region.Get(), region.Get(), clip.Get(), RGN_AND);
  SetBoundsAndRegion(ABounds, std::move(region));
}

bool TcxControlPopupScrollBar::DoMouseWheel(vcl::TShiftState AShift, int AWheelDelta, TPoint AMousePos)
{
  // The content under the bar scrolls as if the wheel turned over it.
  if (OwnerControl && OwnerControl->HandleAllocated()) {
    rtl::TFreeWatch watch(this);
    const bool handled = OwnerControl->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, AWheelDelta),
                                               MAKELPARAM(AMousePos.x, AMousePos.y)) != 0;
    if (handled || watch.Freed())
      return true;
  }
  return inherited::DoMouseWheel(AShift, AWheelDelta, AMousePos);
}

void TcxControlPopupScrollBar::WMMouseActivate(rtl::TMessage& AMessage)
{
  InheritedMessage(this, AMessage);
  AMessage.Result = MA_NOACTIVATE;
}

void TcxControlPopupScrollBar::PreProcessMessage(rtl::TMessage& AMessage)
{
  inherited::PreProcessMessage(AMessage);
  if (!OwnerControl || OwnerControl->IsClassicScrollBarMode())
    return;
  switch (AMessage.Msg) {
    case WM_ACTIVATEAPP:
      if (AMessage.WParam == 0)
        OwnerControl->HideScrollUI(GetScrollbarOwner(), true);
      break;
    case WM_CANCELMODE:
      OwnerControl->HideScrollUI(GetScrollbarOwner(), false);
      break;
    default:
      break;
  }
}

// ---------------------------------------------------------------------------
// TcxPopupSizeGrip

void TcxPopupSizeGrip::CreateEx(TcxControl* AOwner)
{
  FScrollbarOwner = AOwner;
  inherited::CreateEx(AOwner ? AsOrNil<TcxControl>(AOwner->GetScrollUIOwnerControl()) : nullptr);
}

void TcxPopupSizeGrip::CreateParams(vcl::TCreateParams& AParams)
{
  inherited::CreateParams(AParams);
  AParams.Style = WS_POPUP;
  AParams.ExStyle = WS_EX_LAYERED;
}

void TcxPopupSizeGrip::CreateWnd()
{
  inherited::CreateWnd();
  SetLayeredWindowAttributes(GetHandle(), 0, PopupSizeGripAlpha, LWA_ALPHA);
}

void TcxPopupSizeGrip::PaintGrip(TcxCanvas* ACanvas)
{
  ACanvas->FillRect(GetClientRect(), vcl::clSilver);
}

void TcxPopupSizeGrip::AttachToOwnerControl()
{
  const HWND owner = cxGetPopupOwnerWindow(GetOwnerControl());
  if (owner != GetParentWindow()) {
    SetParentWindow(owner);
    if (HandleAllocated())
      RecreateWnd();
  }
}

void TcxPopupSizeGrip::SetOwnerControlRelativeBounds(const TRect& ABounds)
{
  TcxControl* owner = GetOwnerControl();
  if (!owner || !owner->HandleAllocated())
    return;
  // The visible box is in the owner's window coordinates.
  const TRect box = cxGetVisibleBoxOfRect(owner, ABounds);
  RECT window{};
  GetWindowRect(owner->GetHandle(), &window);
  SetBoundsRect(TRect{window.left + box.left, window.top + box.top, window.left + box.right,
                      window.top + box.bottom});
}
