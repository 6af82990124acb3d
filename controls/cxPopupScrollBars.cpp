#include "controls/cxPopupScrollBars.h"

#include <utility>

#include "controls/cxWindowUtils.h"
#include "core/cxGeometry.h"
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

// Uncounted: the owner's life is its own.
IdxHybridScrollbarOwner* HybridOwnerOf(rtl::TObject* AOwner)
{
  const rtl::TInterfaceEntry* entry = AOwner ? AOwner->GetInterfaceEntry(rtl::IIDOf<IdxHybridScrollbarOwner>()) : nullptr;
  return entry ? static_cast<IdxHybridScrollbarOwner*>(entry->Get(AOwner)) : nullptr;
}

TdxHybridScrollbarsManager* HybridManagerOf(rtl::TObject* AOwner)
{
  IdxHybridScrollbarOwner* owner = HybridOwnerOf(AOwner);
  return owner ? owner->GetHybridScrollbarsManager() : nullptr;
}

// The one non-classic mode besides touch.
bool IsHybridScrollbarMode(const TcxControl* AControl)
{
  return AControl && !AControl->IsClassicScrollBarMode() && !AControl->IsTouchScrollbarMode();
}

// The control that hosts AOwner's bars; EInvalidCast for an object that is
// no scroll-UI owner or a host that is no TcxControl.
TcxControl* ScrollUIOwnerControl(rtl::TObject* AOwner)
{
  if (!AOwner)
    return nullptr;
  IdxTouchScrollUIOwner* owner = dxGetTouchScrollUIOwner(AOwner);
  if (!owner)
    throw rtl::EInvalidCast(L"Invalid class typecast");
  return rtl::As<TcxControl>(owner->GetScrollUIOwnerControl());
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
// TcxPopupScrollBarHelper, TdxHybridScrollBarHelper

TcxScrollBarPainterClass TcxPopupScrollBarHelper::GetPainterClass()
{
  return TcxScrollBarPainterClass::Of<TcxPopupScrollBarPainter>();
}

TSize TcxPopupScrollBarHelper::DoGetDefaultSize()
{
  return cxGetTouchScrollBarSize(GetScaleFactor());
}

TcxScrollBarViewInfoClass TcxPopupScrollBarHelper::GetViewInfoClass()
{
  return TcxScrollBarViewInfoClass::Of<TcxPopupScrollBarViewInfo>();
}

TcxScrollBarPainterClass TdxHybridScrollBarHelper::GetPainterClass()
{
  return TcxScrollBarPainterClass::Of<TdxHybridScrollBarPainter>();
}

TSize TdxHybridScrollBarHelper::DoGetDefaultSize()
{
  return cxGetHybridScrollBarSize(GetScaleFactor(), true);
}

// ---------------------------------------------------------------------------
// TcxControlPopupScrollBar

void TcxControlPopupScrollBar::CreateEx(TcxControl* AOwner)
{
  CreateEx(static_cast<rtl::TObject*>(AOwner));
}

void TcxControlPopupScrollBar::CreateEx(rtl::TObject* AOwner)
{
  TcxControl* ownerControl = ScrollUIOwnerControl(AOwner);
  FAlpha = 255;
  FScrollbarOwner = AOwner;
  FActivityHelper = rtl::New<TdxTouchScrollUIActivityHelper>();
  // Before Create: the owner control's mode chooses the scroll logic.
  inherited::CreateEx(ownerControl);
  if (ownerControl) {
    auto* scaleFactor = rtl::As<TdxOwnedScaleFactor>(GetScaleFactor());
    scaleFactor->SetOwner(ownerControl->GetScaleFactor());
    scaleFactor->SetUseOwnerValue(true);
  }
}

void TcxControlPopupScrollBar::Destroy()
{
  rtl::FreeAndNil(FActivityHelper);
  inherited::Destroy();
}

bool TcxControlPopupScrollBar::IsHybridMode() const
{
  return IsHybridScrollbarMode(OwnerControl);
}

TdxHybridScrollbarsManager* TcxControlPopupScrollBar::HybridManager() const
{
  return HybridManagerOf(GetScrollbarOwner());
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
  if (OwnerControl && OwnerControl->IsTouchScrollbarMode())
    return TcxScrollBarHelperClass::Of<TcxPopupScrollBarHelper>();
  return TcxScrollBarHelperClass::Of<TdxHybridScrollBarHelper>();
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
  inherited::ApplyData();
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
  if (!AValue && FVisible) {
    // A hidden bar has the mouse no longer; a leave after this one must not
    // release what another bar holds.
    FMouseEnter = false;
    if (TdxHybridScrollbarsManager* manager = IsHybridMode() ? HybridManager() : nullptr)
      manager->ScrollbarHidden(this);
  }
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

// Every picture of a hybrid bar, the first one on showing included, takes
// the manager's current fade and expansion.
void TcxControlPopupScrollBar::RenderLayeredWindow()
{
  if (TdxHybridScrollbarsManager* manager = IsHybridMode() ? HybridManager() : nullptr) {
    // Only the bar under the mouse widens; the others keep the strip.
    FVisibleSize = manager->IsExpandedScrollbar(this) ? manager->GetBarThickness(GetScaleFactor())
                                                      : cxGetHybridScrollBarSize(GetScaleFactor(), false).cx;
    FAlpha = manager->GetFadingValue();
  }
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
  if (OwnerControl->IsTouchScrollbarMode())
    TdxTouchScrollUIModeManager::ProcessBarMessage(GetScrollbarOwner(), FActivityHelper, this, AMessage);
  else
    ProcessHybridMessage(AMessage);
}

// The bar widens while the mouse is over it; the manager counts the bars
// the mouse is over, so a leave answers only an enter.
void TcxControlPopupScrollBar::ProcessHybridMessage(const rtl::TMessage& AMessage)
{
  switch (AMessage.Msg) {
    case WM_ACTIVATEAPP:
      if (AMessage.WParam == 0)
        OwnerControl->HideScrollUI(GetScrollbarOwner(), true);
      break;
    case WM_CANCELMODE:
      OwnerControl->HideScrollUI(GetScrollbarOwner(), false);
      break;
    case WM_MOUSEMOVE:
      if (!FMouseEnter) {
        FMouseEnter = true;
        if (TdxHybridScrollbarsManager* manager = HybridManager())
          manager->MouseEnterScrollbar(this);
      }
      break;
    case rtl::CM_MOUSELEAVE:
      if (std::exchange(FMouseEnter, false)) {
        if (TdxHybridScrollbarsManager* manager = HybridManager())
          manager->MouseLeaveScrollbar();
      }
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
  inherited::CreateEx(ScrollUIOwnerControl(AOwner));
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

// A hybrid grip is as opaque as the expanded bar's background: invisible
// while the bars are collapsed.
void TcxPopupSizeGrip::PaintGrip(TcxCanvas* ACanvas)
{
  vcl::TColor color = vcl::clSilver;
  rtl::TObject* owner = FScrollbarOwner ? FScrollbarOwner : GetOwnerControl();
  IdxHybridScrollbarOwner* hybridOwner = IsHybridScrollbarMode(GetOwnerControl()) ? HybridOwnerOf(owner) : nullptr;
  if (hybridOwner) {
    color = hybridOwner->GetHybridScrollbarBaseColor();
    const TdxHybridScrollbarsManager* manager = hybridOwner->GetHybridScrollbarsManager();
    const std::uint8_t alpha = TdxHybridScrollBarPainter::BackgroundAlpha(manager ? manager->GetVisibleSize() : 0);
    if (HandleAllocated())
      SetLayeredWindowAttributes(GetHandle(), 0, alpha, LWA_ALPHA);
  }
  ACanvas->FillRect(GetClientRect(), color);
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

// ---------------------------------------------------------------------------
// TdxScrollBarWrapper

void TdxScrollBarWrapper::Create(rtl::TObject* AOwner)
{
  inherited::Create();
  FOwnerControl = ScrollUIOwnerControl(AOwner);
  if (!FOwnerControl)
    throw rtl::EInvalidCast(L"Invalid class typecast");
  FTouchScrollUIOwner = AOwner;
  CreateInnerScrollBar();
}

void TdxScrollBarWrapper::Destroy()
{
  DestroyInnerScrollBar();
  inherited::Destroy();
}

void TdxScrollBarWrapper::CreateInnerScrollBar()
{
  FIsTouchScrollUIMode = FOwnerControl->IsNonClassicScrollBarMode();
  const TScrollEvent onScroll = TScrollEvent::Bind<&TdxScrollBarWrapper::InnerScroll>(this);
  if (FIsTouchScrollUIMode) {
    auto* bar = rtl::NewWith<TcxControlPopupScrollBar>(
        [this](TcxControlPopupScrollBar* B) { B->CreateEx(FTouchScrollUIOwner); });
    FInnerScrollBar = bar;
    bar->TcxScrollBar::SetOnScroll(onScroll);
    if (FOwnerControl->HandleAllocated())
      InitControl();
    return;
  }
  auto* bar = rtl::New<TcxControlScrollBarHelper>(static_cast<IcxScrollBarOwner*>(FOwnerControl));
  FInnerScrollBar = bar;
  bar->TcxScrollBarHelper::SetOnScroll(onScroll);
  if (TcxControlScrollBarsManager* manager = FOwnerControl->GetScrollBarsManager())
    manager->RegisterScrollBar(bar);
}

void TdxScrollBarWrapper::DestroyInnerScrollBar()
{
  if (TcxControlScrollBarHelper* bar = GetWindowlessScrollBar()) {
    if (TcxControlScrollBarsManager* manager = FOwnerControl->GetScrollBarsManager())
      manager->UnRegisterScrollBar(bar);
  } else if (FInnerScrollBar) {
    // The touch UI must not keep an owner whose bar is gone.
    FOwnerControl->DeactivateTouchScrollUI(FTouchScrollUIOwner);
  }
  rtl::FreeAndNil(FInnerScrollBar);
}

TcxControlPopupScrollBar* TdxScrollBarWrapper::GetPopupScrollBar() const
{
  return FIsTouchScrollUIMode ? static_cast<TcxControlPopupScrollBar*>(FInnerScrollBar) : nullptr;
}

TcxControlScrollBarHelper* TdxScrollBarWrapper::GetWindowlessScrollBar() const
{
  return FIsTouchScrollUIMode ? nullptr : static_cast<TcxControlScrollBarHelper*>(FInnerScrollBar);
}

IcxControlScrollBar* TdxScrollBarWrapper::Inner() const
{
  if (TcxControlPopupScrollBar* bar = GetPopupScrollBar())
    return bar;
  return GetWindowlessScrollBar();
}

void TdxScrollBarWrapper::InnerScroll(rtl::TObject* /*ASender*/, TScrollCode AScrollCode, int& APosition)
{
  if (FOnScroll)
    FOnScroll(this, AScrollCode, APosition);
}

void TdxScrollBarWrapper::SetBoundsAndClipRect(const TRect& R, const TRect& AClipRect)
{
  if (TcxControlPopupScrollBar* bar = GetPopupScrollBar()) {
    bar->SetBoundsWithClip(R, AClipRect);
    return;
  }
  TcxControlScrollBarHelper* bar = GetWindowlessScrollBar();
  // A new rectangle drops the visible region: the clip comes after it.
  bar->TcxScrollBarHelper::SetBoundsRect(R);
  bar->Calculate();
  bar->AssignVisibleRegion(CreateRectRgn(AClipRect.left, AClipRect.top, AClipRect.right, AClipRect.bottom));
}

void TdxScrollBarWrapper::Calculate()
{
  if (TcxControlScrollBarHelper* bar = GetWindowlessScrollBar())
    bar->Calculate();
}

TSize TdxScrollBarWrapper::GetDefaultSize()
{
  if (TcxControlPopupScrollBar* bar = GetPopupScrollBar())
    return bar->GetHelper()->GetDefaultSize();
  return GetWindowlessScrollBar()->GetDefaultSize();
}

void TdxScrollBarWrapper::InitControl()
{
  if (TcxControlPopupScrollBar* bar = GetPopupScrollBar()) {
    bar->AttachToOwnerControl();
    bar->HandleNeeded();
  }
}

void TdxScrollBarWrapper::Invalidate()
{
  if (TcxControlPopupScrollBar* bar = GetPopupScrollBar())
    bar->Invalidate();
}

TcxLookAndFeel* TdxScrollBarWrapper::LookAndFeel()
{
  if (TcxControlPopupScrollBar* bar = GetPopupScrollBar())
    return bar->TcxScrollBar::GetLookAndFeel();
  return GetWindowlessScrollBar()->GetLookAndFeel();
}

// --- IcxControlScrollBar

void TdxScrollBarWrapper::ApplyData()
{
  Inner()->ApplyData();
}

vcl::TWinControl* TdxScrollBarWrapper::GetControl()
{
  return Inner()->GetControl();
}

TRect TdxScrollBarWrapper::GetBoundsRect()
{
  TcxControlPopupScrollBar* bar = GetPopupScrollBar();
  if (!bar)
    return Inner()->GetBoundsRect();
  // A popup's bounds are on the screen.
  const TRect r = bar->GetBoundsRect();
  const TPoint topLeft = FOwnerControl->ScreenToClient(TPoint{r.left, r.top});
  return TRect{topLeft.x, topLeft.y, topLeft.x + r.right - r.left, topLeft.y + r.bottom - r.top};
}

TcxScrollBarData* TdxScrollBarWrapper::GetData()
{
  return Inner()->GetData();
}

bool TdxScrollBarWrapper::GetEnabled()
{
  return Inner()->GetEnabled();
}

int TdxScrollBarWrapper::GetHeight()
{
  return Inner()->GetHeight();
}

TScrollBarKind TdxScrollBarWrapper::GetKind()
{
  return Inner()->GetKind();
}

TScrollBarInc TdxScrollBarWrapper::GetLargeChange()
{
  return Inner()->GetLargeChange();
}

int TdxScrollBarWrapper::GetLeft()
{
  return Inner()->GetLeft();
}

int TdxScrollBarWrapper::GetMax()
{
  return Inner()->GetMax();
}

int TdxScrollBarWrapper::GetMin()
{
  return Inner()->GetMin();
}

int TdxScrollBarWrapper::GetPageSize()
{
  return Inner()->GetPageSize();
}

int TdxScrollBarWrapper::GetPosition()
{
  return Inner()->GetPosition();
}

TScrollBarInc TdxScrollBarWrapper::GetSmallChange()
{
  return Inner()->GetSmallChange();
}

int TdxScrollBarWrapper::GetTop()
{
  return Inner()->GetTop();
}

bool TdxScrollBarWrapper::GetUnlimitedTracking()
{
  return Inner()->GetUnlimitedTracking();
}

bool TdxScrollBarWrapper::GetVisible()
{
  return Inner()->GetVisible();
}

int TdxScrollBarWrapper::GetWidth()
{
  return Inner()->GetWidth();
}

void TdxScrollBarWrapper::SetBoundsRect(const TRect& AValue)
{
  if (TcxControlPopupScrollBar* bar = GetPopupScrollBar()) {
    bar->SetOwnerControlRelativeBounds(AValue);
    return;
  }
  GetWindowlessScrollBar()->SetBoundsRect(AValue);
  GetWindowlessScrollBar()->Calculate();
}

void TdxScrollBarWrapper::SetEnabled(bool AValue)
{
  Inner()->SetEnabled(AValue);
}

void TdxScrollBarWrapper::SetHeight(int AValue)
{
  Inner()->SetHeight(AValue);
}

void TdxScrollBarWrapper::SetKind(TScrollBarKind AValue)
{
  Inner()->SetKind(AValue);
}

void TdxScrollBarWrapper::SetLargeChange(TScrollBarInc AValue)
{
  Inner()->SetLargeChange(AValue);
}

void TdxScrollBarWrapper::SetLeft(int AValue)
{
  Inner()->SetLeft(AValue);
}

void TdxScrollBarWrapper::SetMax(int AValue)
{
  Inner()->SetMax(AValue);
}

void TdxScrollBarWrapper::SetMin(int AValue)
{
  Inner()->SetMin(AValue);
}

void TdxScrollBarWrapper::SetPageSize(int AValue)
{
  Inner()->SetPageSize(AValue);
}

void TdxScrollBarWrapper::SetPosition(int AValue)
{
  Inner()->SetPosition(AValue);
}

void TdxScrollBarWrapper::SetScrollParams(int AMin, int AMax, int APosition, int APageSize, bool ARedraw)
{
  Inner()->SetScrollParams(AMin, AMax, APosition, APageSize, ARedraw);
}

void TdxScrollBarWrapper::SetSmallChange(TScrollBarInc AValue)
{
  Inner()->SetSmallChange(AValue);
}

void TdxScrollBarWrapper::SetTop(int AValue)
{
  Inner()->SetTop(AValue);
}

void TdxScrollBarWrapper::SetUnlimitedTracking(bool AValue)
{
  Inner()->SetUnlimitedTracking(AValue);
}

void TdxScrollBarWrapper::SetVisible(bool AValue)
{
  if (AValue && FIsTouchScrollUIMode && FOwnerControl->IsScrollUIHidden(FTouchScrollUIOwner))
    return;
  Inner()->SetVisible(AValue);
}

void TdxScrollBarWrapper::SetWidth(int AValue)
{
  Inner()->SetWidth(AValue);
}
