// The scroll bars a base control hosts: the data record, the windowed bar,
// the windowless bar and the manager that routes mouse input to it, the
// main scroll bars and the size grip.
#include <algorithm>
#include <utility>

#include "controls/cxControls.h"
#include "controls/cxWindowUtils.h"
#include "core/cxClasses.h"
#include "graphics/cxGraphics.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/GraphicsHandles.h"

using enum TScrollBarKind;
using vcl::TControlStyleItem;

namespace {

constexpr unsigned CheckCaptureInterval = 100;

class TcxScrollBarsWeakLink {
 public:
  explicit TcxScrollBarsWeakLink(rtl::TObject* AObject) : FLink(cxCreateWeakLink(AObject)) {}
  ~TcxScrollBarsWeakLink() { cxFreeWeakLink(FLink); }
  TcxScrollBarsWeakLink(const TcxScrollBarsWeakLink&) = delete;
  TcxScrollBarsWeakLink& operator=(const TcxScrollBarsWeakLink&) = delete;

  bool Alive() const { return FLink && FLink->Ref; }

 private:
  TcxObjectLink* FLink;
};

void AddControlStyle(vcl::TControl* AControl, TControlStyleItem AItem)
{
  vcl::TControlStyle style = AControl->GetControlStyle();
  style.Include(AItem);
  AControl->SetControlStyle(style);
}

// The framework's virtual constructor with a named constructor: an instance
// of the exact class AClass refers to, made by ACreate.
template <class T, class F>
T* NewOfClass(rtl::ClassOf<T> AClass, F&& ACreate)
{
  if (!AClass || !AClass.ClassType()->Factory)
    rtl::AbstractError();
  return rtl::detail::Construct(static_cast<T*>(AClass.ClassType()->Factory()), std::forward<F>(ACreate));
}

// Brings a window to the top of its siblings whatever the caller asked.
void MoveWindowToTop(vcl::TWinControl* AControl)
{
  if (AControl->HandleAllocated())
    SetWindowPos(AControl->GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_DEFERERASE);
}

}  // namespace

// ---------------------------------------------------------------------------
// TcxScrollBarData

void TcxScrollBarData::Validate()
{
  FIsValid = FMin <= FMax && FPageSize < FMax - FMin + 1 && FMin <= FPosition;
}

// ---------------------------------------------------------------------------
// TcxControlScrollBar

void TcxControlScrollBar::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  SetColor(vcl::clBtnFace);
  vcl::TControlStyle style = GetControlStyle();
  style.Exclude(TControlStyleItem::csFramed);
  style.Include(TControlStyleItem::csNoDesignVisible);
  SetControlStyle(style);
  SetTabStop(false);
  vcl::TControl::SetVisible(false);
  FData = rtl::New<TcxScrollBarData>();
  SetParentShowHint(false);
  SetShowHint(true);
}

void TcxControlScrollBar::CreateEx(TcxControl* AOwner)
{
  OwnerControl = AOwner;
  Create(nullptr);
}

void TcxControlScrollBar::Destroy()
{
  rtl::FreeAndNil(FData);
  cxResetWeakLinks(this);
  inherited::Destroy();
}

void TcxControlScrollBar::AttachToOwnerControl()
{
  SetParent(OwnerControl);
}

void TcxControlScrollBar::SetZOrder(bool /*ATopMost*/)
{
  MoveWindowToTop(this);
}

void TcxControlScrollBar::WndProc(rtl::TMessage& AMessage)
{
  TcxScrollBarsWeakLink link(this);
  PreProcessMessage(AMessage);
  if (link.Alive())
    inherited::WndProc(AMessage);
}

void TcxControlScrollBar::PreProcessMessage(rtl::TMessage& AMessage)
{
  if (AMessage.Msg == WM_LBUTTONDOWN)
    FocusOwnerControl();
}

void TcxControlScrollBar::FocusOwnerControl()
{
  if (OwnerControl) {
    if (OwnerControl->CanFocusOnScrollBarClick(this))
      OwnerControl->SetFocus();
    return;
  }
  vcl::TWinControl* parent = GetParent();
  if (!parent)
    return;
  if (rtl::Is<TcxControl>(parent)) {
    if (static_cast<TcxControl*>(parent)->CanFocusOnScrollBarClick(this))
      parent->SetFocus();
  } else if (parent->CanFocus()) {
    parent->SetFocus();
  }
}

void TcxControlScrollBar::ApplyData()
{
  if (FData->FVisible && FData->FIsValid) {
    TcxScrollBar::SetScrollParams(FData->FMin, FData->FMax, FData->FPosition, FData->FPageSize, true);
    TcxScrollBar::SetSmallChange(FData->FSmallChange);
    TcxScrollBar::SetLargeChange(FData->FLargeChange);
  }
  vcl::TControl::SetEnabled(FData->FEnabled);
  if (IsVisibleByData() != FVisible) {
    SetVisible(IsVisibleByData());
    Perform(rtl::CM_SHOWINGCHANGED, 0, 0);
  }
}

void TcxControlScrollBar::PaintOnCanvas(TcxCanvas* ACanvas)
{
  rtl::IPtr<IcxControlImageProvider> provider;
  vcl::TWinControl* parent = GetParent();
  if (parent && rtl::Supports(parent, &provider)) {
    if (vcl::TBitmap* image = provider->GetImage()) {
      vcl::TWinControl* owner = provider->GetImageOwner();
      const TPoint origin = owner && owner->HandleAllocated() && HandleAllocated()
                                ? cxMapWindowPoint(GetHandle(), owner->GetHandle(), TPoint{0, 0})
                                : TPoint{FLeft, FTop};
      BitBlt(ACanvas->GetHandle(), 0, 0, FWidth, FHeight, image->GetCanvas()->GetHandle(), origin.x, origin.y,
             SRCCOPY);
      return;
    }
  }
  inherited::PaintOnCanvas(ACanvas);
}

// ---------------------------------------------------------------------------
// TcxControlScrollBarHelper

void TcxControlScrollBarHelper::Create(IcxScrollBarOwner* AOwner)
{
  inherited::Create(AOwner);
  FData = rtl::New<TcxScrollBarData>();
}

void TcxControlScrollBarHelper::Destroy()
{
  rtl::FreeAndNil(FData);
  cxResetWeakLinks(this);
  inherited::Destroy();
}

TcxControl* TcxControlScrollBarHelper::OwnerControl() const
{
  vcl::TWinControl* control = GetOwner() ? GetOwner()->GetControl() : nullptr;
  return rtl::Is<TcxControl>(control) ? static_cast<TcxControl*>(control) : nullptr;
}

bool TcxControlScrollBarHelper::CanScrollContentOnDrag()
{
  TcxControl* owner = OwnerControl();
  return owner && owner->GetAllowScrollContentOnDrag();
}

// Painted at once on the owner's window: invalidating would repaint the
// whole control for a thumb that moved.
void TcxControlScrollBarHelper::Repaint()
{
  TcxControl* owner = OwnerControl();
  rtl::IPtr<IcxControlImageProvider> provider;
  if (owner && rtl::Supports(owner, &provider) && provider->GetImage())
    return;
  if (GetIsNonClient() || !IsOwnerHandleAllocated()) {
    inherited::Repaint();
    return;
  }
  vcl::TWindowDC dc(GetOwnerHandle());
  if (dc)
    Paint(dc.Get());
}

void TcxControlScrollBarHelper::ApplyData()
{
  if (FData->FVisible && FData->FIsValid) {
    TcxScrollBarHelper::SetScrollParams(FData->FMin, FData->FMax, FData->FPosition, FData->FPageSize,
                                        TcxScrollBarHelper::GetVisible());
    TcxScrollBarHelper::SetSmallChange(FData->FSmallChange);
    TcxScrollBarHelper::SetLargeChange(FData->FLargeChange);
  }
  TcxScrollBarHelper::SetEnabled(FData->FEnabled);
  if (TcxScrollBarHelper::GetVisible() != FData->FVisible)
    TcxScrollBarHelper::SetVisible(FData->FVisible);
}

int TcxControlScrollBarHelper::GetHeight()
{
  return TcxScrollBarHelper::GetBoundsRect().bottom - TcxScrollBarHelper::GetBoundsRect().top;
}

int TcxControlScrollBarHelper::GetLeft()
{
  return TcxScrollBarHelper::GetBoundsRect().left;
}

int TcxControlScrollBarHelper::GetTop()
{
  return TcxScrollBarHelper::GetBoundsRect().top;
}

int TcxControlScrollBarHelper::GetWidth()
{
  return TcxScrollBarHelper::GetBoundsRect().right - TcxScrollBarHelper::GetBoundsRect().left;
}

void TcxControlScrollBarHelper::SetHeight(int AValue)
{
  TRect r = TcxScrollBarHelper::GetBoundsRect();
  r.bottom = r.top + AValue;
  TcxScrollBarHelper::SetBoundsRect(r);
}

void TcxControlScrollBarHelper::SetLeft(int AValue)
{
  TRect r = TcxScrollBarHelper::GetBoundsRect();
  OffsetRect(&r, AValue - r.left, 0);
  TcxScrollBarHelper::SetBoundsRect(r);
}

void TcxControlScrollBarHelper::SetTop(int AValue)
{
  TRect r = TcxScrollBarHelper::GetBoundsRect();
  OffsetRect(&r, 0, AValue - r.top);
  TcxScrollBarHelper::SetBoundsRect(r);
}

void TcxControlScrollBarHelper::SetWidth(int AValue)
{
  TRect r = TcxScrollBarHelper::GetBoundsRect();
  r.right = r.left + AValue;
  TcxScrollBarHelper::SetBoundsRect(r);
}

// ---------------------------------------------------------------------------
// TcxControlScrollBarsManager

void TcxControlScrollBarsManager::Create(TcxControl* AOwner)
{
  inherited::Create();
  FOwner = AOwner;
}

void TcxControlScrollBarsManager::Destroy()
{
  cxEndMouseTracking(this);
  rtl::FreeAndNil(FCheckCaptureTimer);
  inherited::Destroy();
}

void TcxControlScrollBarsManager::RegisterScrollBar(TcxControlScrollBarHelper* AScrollBar)
{
  FScrollBars.push_back(AScrollBar);
}

void TcxControlScrollBarsManager::UnRegisterScrollBar(TcxControlScrollBarHelper* AScrollBar)
{
  if (FHotScrollBar == AScrollBar)
    SetHotScrollBar(nullptr);
  std::erase(FScrollBars, AScrollBar);
}

void TcxControlScrollBarsManager::Paint(TcxCanvas* ACanvas)
{
  for (TcxControlScrollBarHelper* bar : FScrollBars)
    if (bar->TcxScrollBarHelper::GetVisible() && ACanvas->RectVisible(bar->TcxScrollBarHelper::GetBoundsRect()))
      bar->TcxScrollBarHelper::Paint(ACanvas);
}

bool TcxControlScrollBarsManager::IsScrollBarsArea(const TPoint& P)
{
  return std::any_of(FScrollBars.begin(), FScrollBars.end(), [&](TcxControlScrollBarHelper* ABar) {
    const TRect r = ABar->TcxScrollBarHelper::GetBoundsRect();
    return ABar->TcxScrollBarHelper::GetVisible() && PtInRect(&r, P);
  });
}

// The bar registered last wins where bars overlap.
TcxControlScrollBarHelper* TcxControlScrollBarsManager::ScrollBarAt(const TPoint& P) const
{
  for (auto it = FScrollBars.rbegin(); it != FScrollBars.rend(); ++it) {
    TcxControlScrollBarHelper* bar = *it;
    if (bar->TcxScrollBarHelper::GetVisible() && bar->TcxScrollBarHelper::GetEnabled() &&
        bar->IsPointInVisibleArea(P))
      return bar;
  }
  return nullptr;
}

void TcxControlScrollBarsManager::SetHotScrollBar(TcxControlScrollBarHelper* AValue)
{
  if (FHotScrollBar == AValue)
    return;
  if (FHotScrollBar) {
    FHotScrollBar->MouseLeave(nullptr);
    cxEndMouseTracking(this);
  }
  FHotScrollBar = AValue;
  if (FHotScrollBar) {
    FHotScrollBar->MouseEnter(nullptr);
    // Tracking polls the owner's window; there is none to poll before it
    // is made.
    if (FOwner->HandleAllocated())
      cxBeginMouseTracking(FOwner, FHotScrollBar->TcxScrollBarHelper::GetBoundsRect(), this);
  }
}

void TcxControlScrollBarsManager::SetIsCapture(bool AValue)
{
  FIsCapture = AValue;
  if (AValue) {
    if (FOwner->HandleAllocated())
      cxSetCapture(FOwner->GetHandle());
  } else {
    rtl::FreeAndNil(FCheckCaptureTimer);
    ReleaseCapture();
  }
}

bool TcxControlScrollBarsManager::HandleMessage(rtl::TMessage& AMessage)
{
  auto position = [&] {
    if (FOwner->GetWidth() > 32768 || FOwner->GetHeight() > 32768)
      return FOwner->ScreenToClient(cxGetMouseCursorPosition());
    return TPoint{static_cast<SHORT>(LOWORD(AMessage.LParam)), static_cast<SHORT>(HIWORD(AMessage.LParam))};
  };
  const vcl::TShiftState shift = vcl::KeysToShiftState(static_cast<WORD>(AMessage.WParam));
  switch (AMessage.Msg) {
    case WM_MOUSEMOVE: {
      const TPoint p = position();
      if (!ProcessMouseMove(shift, p.x, p.y))
        return false;
      if (vcl::TApplication* application = vcl::detail::ExistingApplication())
        application->CancelHint();
      return true;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      const TPoint p = position();
      return ProcessMouseDown(vcl::TMouseButton::mbLeft, shift, p.x, p.y);
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: {
      const TPoint p = position();
      return ProcessMouseDown(vcl::TMouseButton::mbRight, shift, p.x, p.y);
    }
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
      const TPoint p = position();
      return ProcessMouseDown(vcl::TMouseButton::mbMiddle, shift, p.x, p.y);
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const TPoint p = position();
      const vcl::TMouseButton button = AMessage.Msg == WM_LBUTTONUP   ? vcl::TMouseButton::mbLeft
                                       : AMessage.Msg == WM_RBUTTONUP ? vcl::TMouseButton::mbRight
                                                                      : vcl::TMouseButton::mbMiddle;
      return ProcessMouseUp(button, shift, p.x, p.y);
    }
    case WM_CAPTURECHANGED:
      FIsCapture = false;
      if (FHotScrollBar)
        FHotScrollBar->CancelMode();
      return false;
    case WM_DESTROY:
      if (FIsCapture) {
        // The window goes during a press; the press ends once the button
        // is up, whichever window then has the mouse.
        rtl::FreeAndNil(FCheckCaptureTimer);
        FCheckCaptureTimer = rtl::New<TcxTimer>(nullptr);
        FCheckCaptureTimer->SetInterval(CheckCaptureInterval);
        FCheckCaptureTimer->SetOnTimer(rtl::TNotifyEvent::Bind<&TcxControlScrollBarsManager::CheckCaptureTimerHandler>(this));
      }
      return false;
    case WM_CREATE:
      if (FIsCapture) {
        FIsCapture = false;
        if (!GetCapture() && (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0) {
          FIsCapture = true;
          SetCapture(reinterpret_cast<HWND>(FOwner->GetHandle()));
        }
      }
      return false;
    default:
      return false;
  }
}

void TcxControlScrollBarsManager::CheckCaptureTimerHandler(rtl::TObject* /*ASender*/)
{
  if ((GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0)
    return;
  rtl::FreeAndNil(FCheckCaptureTimer);
  if (FHotScrollBar)
    FHotScrollBar->CancelMode();
  SetIsCapture(false);
}

bool TcxControlScrollBarsManager::ProcessMouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  if (FOwner->IsPointOnSizeGrip(TPoint{X, Y}))
    return true;
  if (!FHotScrollBar)
    return false;
  if (AButton != vcl::TMouseButton::mbLeft || !FHotScrollBar->TcxScrollBarHelper::GetEnabled())
    return true;
  SetIsCapture(true);
  TcxScrollBarsWeakLink barLink(FHotScrollBar);
  if (FOwner->CanFocusOnClick(X, Y)) {
    FOwner->SetActivateType(TcxControlActivateType::atByMouseNonClientArea);
    FOwner->SetFocus();
  }
  if (barLink.Alive() && FHotScrollBar)
    FHotScrollBar->MouseDown(AButton, AShift, X, Y);
  else
    SetIsCapture(false);
  return true;
}

bool TcxControlScrollBarsManager::ProcessMouseMove(vcl::TShiftState AShift, int X, int Y)
{
  if (!FIsCapture && FOwner->GetMouseCapture() && !FOwner->GetAllowScrollContentOnDrag())
    return false;
  if (!FIsCapture)
    SetHotScrollBar(ScrollBarAt(TPoint{X, Y}));
  if (FHotScrollBar) {
    FHotScrollBar->MouseMove(AShift, X, Y);
    return true;
  }
  return FOwner->IsPointOnSizeGrip(TPoint{X, Y});
}

bool TcxControlScrollBarsManager::ProcessMouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  if (!FIsCapture)
    return false;
  try {
    if (FHotScrollBar)
      FHotScrollBar->MouseUp(AButton, AShift, X, Y);
  } catch (...) {
    SetIsCapture(false);
    throw;
  }
  SetIsCapture(false);
  return true;
}

void TcxControlScrollBarsManager::MouseLeave()
{
  TcxControlScrollBarHelper* bar = FHotScrollBar;
  FHotScrollBar = nullptr;
  if (bar) {
    bar->CancelMode();
    bar->MouseLeave(nullptr);
  }
}

bool TcxControlScrollBarsManager::PtInCaller(const TPoint& P)
{
  if (!FHotScrollBar)
    return false;
  const TRect r = FHotScrollBar->TcxScrollBarHelper::GetBoundsRect();
  return PtInRect(&r, P);
}

// ---------------------------------------------------------------------------
// TcxControlCustomScrollBars

void TcxControlCustomScrollBars::Create(TcxControl* AOwner)
{
  inherited::Create();
  FOwner = AOwner;
  CreateScrollBars();
}

void TcxControlCustomScrollBars::Destroy()
{
  DestroyScrollBars();
  inherited::Destroy();
}

void TcxControlCustomScrollBars::CreateScrollBars()
{
  FHScrollBar = CreateScrollBar(sbHorizontal);
  FVScrollBar = CreateScrollBar(sbVertical);
  FSizeGrip = CreateSizeGrip();
}

void TcxControlCustomScrollBars::DestroyScrollBars()
{
  DestroySizeGrip();
  DestroyVScrollBar();
  DestroyHScrollBar();
}

IcxControlScrollBar* TcxControlCustomScrollBars::GetScrollBar(TScrollBarKind AKind)
{
  rtl::TObject* bar = AKind == sbVertical ? FVScrollBar : FHScrollBar;
  rtl::IPtr<IcxControlScrollBar> result;
  if (!bar || !rtl::Supports(bar, &result))
    return nullptr;
  return result.Get();
}

bool TcxControlCustomScrollBars::CalculateScrollBarVisible(TScrollBarKind AKind)
{
  IcxControlScrollBar* bar = GetScrollBar(AKind);
  if (!bar)
    return false;
  return FCalculating ? bar->GetData()->FVisible : bar->GetVisible();
}

void TcxControlCustomScrollBars::ApplyScrollBarsData()
{
  if (IcxControlScrollBar* bar = GetScrollBar(sbHorizontal))
    bar->ApplyData();
  if (IcxControlScrollBar* bar = GetScrollBar(sbVertical))
    bar->ApplyData();
}

void TcxControlCustomScrollBars::ScrollBarScroll(rtl::TObject* ASender, TScrollCode AScrollCode, int& APosition)
{
  rtl::IPtr<IcxControlScrollBar> bar;
  if (rtl::Supports(ASender, &bar))
    FOwner->Scroll(bar->GetKind(), AScrollCode, APosition);
}

// ---------------------------------------------------------------------------
// TcxControlWindowedScrollBars

rtl::TObject* TcxControlWindowedScrollBars::CreateScrollBar(TScrollBarKind AKind)
{
  // CreateEx: no component owner, the main scroll bars free it; the owner
  // control is known before the bar chooses its scroll logic.
  TcxControlScrollBar* bar =
      NewOfClass(FOwner->GetScrollBarClass(AKind), [this](TcxControlScrollBar* B) { B->CreateEx(FOwner); });
  bar->TcxScrollBar::SetKind(AKind);
  bar->TcxScrollBar::SetOnScroll(TScrollEvent::Bind<&TcxControlWindowedScrollBars::ScrollBarScroll>(this));
  bar->TcxScrollBar::GetLookAndFeel()->SetMasterLookAndFeel(FOwner->GetLookAndFeel());
  AddControlStyle(bar, TControlStyleItem::csReplicatable);
  bar->SetOnMouseEnter(rtl::TNotifyEvent::Bind<&TcxControlWindowedScrollBars::ScrollBarMouseEnter>(this));
  bar->SetOnMouseLeave(rtl::TNotifyEvent::Bind<&TcxControlWindowedScrollBars::ScrollBarMouseLeave>(this));
  return bar;
}

rtl::TObject* TcxControlWindowedScrollBars::CreateSizeGrip()
{
  TcxSizeGrip* grip = NewOfClass(FOwner->GetSizeGripClass(), [this](TcxSizeGrip* G) { G->CreateEx(FOwner); });
  grip->GetLookAndFeel()->SetMasterLookAndFeel(FOwner->GetLookAndFeel());
  AddControlStyle(grip, TControlStyleItem::csReplicatable);
  return grip;
}

void TcxControlWindowedScrollBars::ScrollBarMouseEnter(rtl::TObject* /*ASender*/)
{
  if (FOwner->IsTouchScrollbarMode())
    FOwner->HideScrollUI(nullptr, false);
}

TcxControlScrollBar* TcxControlWindowedScrollBars::GetHScrollBar() const
{
  return static_cast<TcxControlScrollBar*>(FHScrollBar);
}

TcxControlScrollBar* TcxControlWindowedScrollBars::GetVScrollBar() const
{
  return static_cast<TcxControlScrollBar*>(FVScrollBar);
}

TcxSizeGrip* TcxControlWindowedScrollBars::GetSizeGrip() const
{
  return static_cast<TcxSizeGrip*>(FSizeGrip);
}

std::array<vcl::TWinControl*, 3> TcxControlWindowedScrollBars::Windows() const
{
  return {GetHScrollBar(), GetVScrollBar(), GetSizeGrip()};
}

void TcxControlWindowedScrollBars::BringControlsToFront()
{
  if (FOwner->GetScrollbarMode() != TdxScrollbarMode::sbmClassic)
    return;
  for (vcl::TWinControl* window : Windows())
    if (window && window->GetVisible())
      window->BringToFront();
}

bool TcxControlWindowedScrollBars::CheckScrollBarSize(TScrollBarKind AKind)
{
  const TSize size = FOwner->GetScrollBarSize();
  if (AKind == sbVertical) {
    TcxControlScrollBar* bar = GetVScrollBar();
    if (!bar || bar->vcl::TControl::GetWidth() == size.cx)
      return false;
    bar->vcl::TControl::SetWidth(size.cx);
    return true;
  }
  TcxControlScrollBar* bar = GetHScrollBar();
  if (!bar || bar->vcl::TControl::GetHeight() == size.cy)
    return false;
  bar->vcl::TControl::SetHeight(size.cy);
  return true;
}

void TcxControlWindowedScrollBars::SetSizeGripVisible(bool AValue)
{
  TcxSizeGrip* grip = GetSizeGrip();
  if (!grip)
    return;
  grip->SetVisible(AValue);
  if (AValue && !grip->GetParent() && grip->HandleAllocated() && FOwner->HandleAllocated())
    SetWindowPos(grip->GetHandle(), FOwner->GetHandle(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The bars through their own SetVisible: a popup bar tells its hybrid
// manager that it is gone.
void TcxControlWindowedScrollBars::HideControls()
{
  for (TcxControlScrollBar* bar : {GetHScrollBar(), GetVScrollBar()})
    if (bar)
      bar->SetVisible(false);
  if (TcxSizeGrip* grip = GetSizeGrip())
    grip->SetVisible(false);
}

void TcxControlWindowedScrollBars::InitializeControls()
{
  if (TcxControlScrollBar* bar = GetHScrollBar()) {
    bar->AttachToOwnerControl();
    bar->HandleNeeded();
  }
  if (TcxControlScrollBar* bar = GetVScrollBar()) {
    bar->AttachToOwnerControl();
    bar->HandleNeeded();
  }
  if (TcxSizeGrip* grip = GetSizeGrip()) {
    grip->AttachToOwnerControl();
    grip->HandleNeeded();
  }
}

void TcxControlWindowedScrollBars::ReleaseWindowHandles()
{
  if (FOwner->IsClassicScrollBarMode())
    return;
  for (TcxControlScrollBar* bar : {GetHScrollBar(), GetVScrollBar()})
    if (bar && !bar->GetParent() && bar->HandleAllocated())
      bar->ReleaseHandle();
  if (TcxSizeGrip* grip = GetSizeGrip(); grip && !grip->GetParent() && grip->HandleAllocated())
    grip->ReleaseHandle();
}

bool TcxControlWindowedScrollBars::IsInternalControl(vcl::TControl* AControl)
{
  if (!AControl)
    return false;
  const auto windows = Windows();
  return std::find(windows.begin(), windows.end(), AControl) != windows.end();
}

void TcxControlWindowedScrollBars::UpdateBounds()
{
  TRect r;
  if (TcxControlScrollBar* bar = GetHScrollBar(); bar && bar->vcl::TControl::GetVisible()) {
    FOwner->GetHScrollBarBounds(r);
    bar->SetOwnerControlRelativeBounds(r);
  }
  if (TcxControlScrollBar* bar = GetVScrollBar(); bar && bar->vcl::TControl::GetVisible()) {
    FOwner->GetVScrollBarBounds(r);
    bar->SetOwnerControlRelativeBounds(r);
  }
  if (TcxSizeGrip* grip = GetSizeGrip(); grip && grip->GetVisible()) {
    FOwner->GetSizeGripBounds(r);
    grip->SetOwnerControlRelativeBounds(r);
  }
}

void TcxControlWindowedScrollBars::UpdateControlsState()
{
  for (TcxControlScrollBar* bar : {GetHScrollBar(), GetVScrollBar()})
    if (bar && bar->vcl::TControl::GetVisible())
      bar->UpdateState();
  if (TcxSizeGrip* grip = GetSizeGrip(); grip && grip->GetVisible())
    grip->UpdateState();
}

void TcxControlWindowedScrollBars::Invalidate()
{
  for (vcl::TWinControl* window : Windows())
    if (window && window->GetVisible())
      window->Invalidate();
}

// Child windows go with the owner's window; only parentless popups are
// freed here while the owner is being destroyed.
void TcxControlWindowedScrollBars::DestroyScrollBars()
{
  if (!FOwner->IsDestroying()) {
    inherited::DestroyScrollBars();
    return;
  }
  for (rtl::TObject** window : {&FSizeGrip, &FVScrollBar, &FHScrollBar}) {
    auto* control = static_cast<vcl::TWinControl*>(*window);
    if (control && !control->GetParent())
      rtl::FreeAndNil(*window);
    else
      *window = nullptr;
  }
}

// ---------------------------------------------------------------------------
// TcxSizeGrip

void TcxSizeGrip::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  SetColor(vcl::clBtnFace);
  AddControlStyle(this, TControlStyleItem::csNoDesignVisible);
  SetTabStop(false);
  SetVisible(false);
  FLookAndFeel = rtl::New<TcxLookAndFeel>(this);
  FLookAndFeel->SetOnChanged(TcxLookAndFeelChangedEvent::Bind<&TcxSizeGrip::LookAndFeelChangeHandler>(this));
}

void TcxSizeGrip::CreateEx(TcxControl* AOwner)
{
  FOwnerControl = AOwner;
  Create(nullptr);
}

void TcxSizeGrip::Destroy()
{
  rtl::FreeAndNil(FLookAndFeel);
  inherited::Destroy();
}

void TcxSizeGrip::AttachToOwnerControl()
{
  SetParent(FOwnerControl);
}

void TcxSizeGrip::SetZOrder(bool /*ATopMost*/)
{
  MoveWindowToTop(this);
}

void TcxSizeGrip::LookAndFeelChangeHandler(TcxLookAndFeel* /*ASender*/, TcxLookAndFeelValues /*AChangedValues*/)
{
  Invalidate();
}

void TcxSizeGrip::Paint()
{
  rtl::IPtr<IcxControlImageProvider> provider;
  vcl::TWinControl* parent = GetParent();
  if (parent && rtl::Supports(parent, &provider)) {
    if (vcl::TBitmap* image = provider->GetImage()) {
      BitBlt(GetCanvas()->GetHandle(), 0, 0, FWidth, FHeight, image->GetCanvas()->GetHandle(), FLeft, FTop, SRCCOPY);
      return;
    }
  }
  rtl::TOwnedPtr<TcxCanvas> canvas(rtl::New<TcxCanvas>(GetCanvas()));
  PaintGrip(canvas.get());
}

void TcxSizeGrip::PaintGrip(TcxCanvas* ACanvas)
{
  ACanvas->FillRect(GetClientRect(), FLookAndFeel->GetPainter()->DefaultSizeGripAreaColor());
}

bool TcxSizeGrip::IsAvailable(vcl::TWinControl* AStatusBar)
{
  if (!AStatusBar)
    return false;
  vcl::TCustomForm* form = vcl::GetParentForm(AStatusBar);
  if (!form || !form->HandleAllocated())
    return false;
  const HWND wnd = form->GetHandle();
  if ((GetWindowLongW(wnd, GWL_STYLE) & WS_SIZEBOX) == 0 || IsZoomed(wnd) || IsIconic(wnd))
    return false;
  const TPoint corner = form->ScreenToClient(
      AStatusBar->ClientToScreen(TPoint{AStatusBar->GetWidth(), AStatusBar->GetHeight()}));
  return corner.x == form->GetClientWidth() && corner.y >= form->GetClientHeight();
}
