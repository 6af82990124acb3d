// The base control: scale changes, painting, the window procedure, mouse,
// keyboard and focus. Its scroll-bar hosting and gestures are in
// cxControlsBaseScrolling.cpp.
#include <algorithm>
#include <cstdlib>

#include "controls/cxAnchorScroll.h"
#include "controls/cxBufferedPaint.h"
#include "controls/cxControls.h"
#include "controls/cxPopupMenus.h"
#include "controls/cxWindowUtils.h"
#include "controls/dxDWMApi.h"
#include "core/cxClasses.h"
#include "core/cxGeometry.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/cxGraphicsControls.h"
#include "graphics/cxGraphicsDraw.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/GraphicsHandles.h"
#include "platform/vcl/Menus.h"

using enum TcxControlBorderStyle;
using enum TcxDragAndDropState;
using enum TScrollBarKind;
using enum TScrollCode;
using enum TcxDirection;
using vcl::TControlStateItem;
using vcl::TControlStyleItem;
using rtl::TComponentStateFlag;

namespace {

constinit TcxContextPopupHook ContextPopupHook = nullptr;

constexpr int WheelNotch = WHEEL_DELTA;

// A weak link held over calls that may free the object; freed on every way
// out.
class TcxWeakLinkGuard {
 public:
  explicit TcxWeakLinkGuard(rtl::TObject* AObject) : FLink(cxCreateWeakLink(AObject)) {}
  ~TcxWeakLinkGuard() { cxFreeWeakLink(FLink); }
  TcxWeakLinkGuard(const TcxWeakLinkGuard&) = delete;
  TcxWeakLinkGuard& operator=(const TcxWeakLinkGuard&) = delete;

  bool Alive() const { return FLink && FLink->Ref; }

 private:
  TcxObjectLink* FLink;
};

// Message coordinates are 16-bit: beyond that the cursor tells the truth.
bool IsHugeControl(vcl::TControl* AControl)
{
  return AControl->GetWidth() > 32768 || AControl->GetHeight() > 32768;
}

vcl::TMouseButton ButtonOfMessage(UINT AMsg)
{
  switch (AMsg) {
    case WM_RBUTTONDOWN:
      return vcl::TMouseButton::mbRight;
    case WM_MBUTTONDOWN:
      return vcl::TMouseButton::mbMiddle;
    default:
      return vcl::TMouseButton::mbLeft;
  }
}

}  // namespace

void cxSetContextPopupHook(TcxContextPopupHook AHook)
{
  ContextPopupHook = AHook;
}

TcxContextPopupHook cxGetContextPopupHook()
{
  return ContextPopupHook;
}

// ---------------------------------------------------------------------------
// TcxCustomControl

void TcxCustomControl::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FScaleFactor = rtl::New<TdxScaleFactor>();
}

void TcxCustomControl::Destroy()
{
  inherited::Destroy();
  // Last: weak links to the control must be gone before anything of it is.
  cxResetWeakLinks(this);
  rtl::FreeAndNil(FScaleFactor);
}

void TcxCustomControl::BeginScaleChange()
{
  if (FScaleChangeCounter++ == 0)
    ScaleChanging();
}

void TcxCustomControl::EndScaleChange()
{
  if (FScaleChangeCounter == 0)
    return;
  if (--FScaleChangeCounter == 0)
    ScaleChanged();
}

void TcxCustomControl::DoChangeScale(int M, int D, bool AIsDpiChange)
{
  FScaleFactor->Change(M, D);
  inherited::ChangeScale(M, D, AIsDpiChange);
}

void TcxCustomControl::ChangeScale(int M, int D, bool AIsDpiChange)
{
  BeginScaleChange();
  try {
    DoChangeScale(M, D, AIsDpiChange);
  } catch (...) {
    EndScaleChange();
    throw;
  }
  EndScaleChange();
}

void TcxCustomControl::ScaleControlsForDpi(int ANewPPI)
{
  DisableAlign();
  BeginScaleChange();
  try {
    inherited::ScaleControlsForDpi(ANewPPI);
  } catch (...) {
    EndScaleChange();
    EnableAlign();
    throw;
  }
  EndScaleChange();
  EnableAlign();
}

void TcxCustomControl::SetParent(vcl::TWinControl* AParent)
{
  if (!TcxControlHelper::CanSetParent(this, AParent))
    return;
  inherited::SetParent(AParent);
  TcxControlHelper::UpdateScaleFactorOnParentChange(this);
}

void TcxCustomControl::DXMScaleChanging(rtl::TMessage& /*AMessage*/)
{
  BeginScaleChange();
}

void TcxCustomControl::DXMScaleChanged(rtl::TMessage& /*AMessage*/)
{
  EndScaleChange();
}

// ---------------------------------------------------------------------------
// TcxControlHelper

bool TcxControlHelper::CanSetParent(vcl::TControl* AControl, vcl::TWinControl* ANewParent)
{
  return AControl->GetParent() != ANewParent || AControl->GetComponentState().Contains(TComponentStateFlag::csReading);
}

void TcxControlHelper::ChangeScaleFactor(vcl::TControl* AControl, const TdxScaleFactor* ATarget)
{
  ChangeScaleFactor(AControl, ATarget->GetNumerator(), ATarget->GetDenominator());
}

void TcxControlHelper::ChangeScaleFactor(vcl::TControl* AControl, int N, int D)
{
  rtl::IPtr<IdxScaleFactor> scalable;
  if (!AControl || !rtl::Supports(AControl, &scalable))
    return;
  TdxScaleFactor* own = scalable->GetScaleFactor();
  int M = N * own->GetDenominator();
  int Dv = D * own->GetNumerator();
  cxReduceFraction(M, Dv);
  if (AControl->GetComponentState().Contains(TComponentStateFlag::csLoading)) {
    own->Assign(N, D, true);
    AControl->SetCurrentPPI(MulDiv(AControl->GetCurrentPPI(), M, Dv));
  } else if (M != Dv) {
    AControl->ScaleForPPI(MulDiv(AControl->GetCurrentPPI(), M, Dv));
  }
}

void TcxControlHelper::UpdateScaleFactorOnParentChange(vcl::TControl* AControl)
{
  rtl::IPtr<IdxScaleFactor> parent;
  vcl::TWinControl* parentControl = AControl->GetParent();
  if (parentControl && rtl::Supports(parentControl, &parent))
    ChangeScaleFactor(AControl, parent->GetScaleFactor());
}

namespace {

vcl::TControl* GetScaledControl(rtl::TObject* AObject)
{
  if (rtl::Is<vcl::TControl>(AObject))
    return static_cast<vcl::TControl*>(AObject);
  if (rtl::Is<TcxControlChildComponent>(AObject))
    return static_cast<TcxControlChildComponent*>(AObject)->GetControl();
  return nullptr;
}

}  // namespace

int TcxControlHelper::GetCurrentDPIFromControl(rtl::TObject* AObject)
{
  vcl::TControl* control = GetScaledControl(AObject);
  return control ? control->GetCurrentPPI() : cxGetScreenDPI();
}

void TcxControlHelper::ScaleForPPI(rtl::TObject* AObject, int ATargetPPI)
{
  if (rtl::Is<vcl::TControl>(AObject)) {
    static_cast<vcl::TControl*>(AObject)->ScaleForPPI(ATargetPPI);
    return;
  }
  if (!rtl::Is<TcxControlChildComponent>(AObject))
    return;
  auto* component = static_cast<TcxControlChildComponent*>(AObject);
  if (component->GetControl())
    ScaleForPPI(component->GetControl(), ATargetPPI);
  else
    component->GetScaleFactor()->Change(ATargetPPI, dxGetTargetDPI(component->GetScaleFactor()));
}

TPoint TcxControlHelper::GetOriginalParentSize(rtl::TObject* AObject)
{
  vcl::TControl* control = GetScaledControl(AObject);
  return control ? control->GetOriginalParentSize() : TPoint{};
}

void TcxControlHelper::SetOriginalParentSize(rtl::TObject* AObject, const TPoint& P)
{
  vcl::TControl* control = GetScaledControl(AObject);
  if (control && control->GetParent())
    control->SetOriginalParentSize(P);
}

// ---------------------------------------------------------------------------
// TcxControl: life

void TcxControl::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FCanvas = rtl::New<TcxControlCanvas>(inherited::GetCanvas());
  FFocusOnClick = true;
  FFontListenerList = new std::vector<rtl::IPtr<IcxFontListener>>();
  FLookAndFeel = rtl::New<TcxLookAndFeel>(this);
  FLookAndFeel->SetOnChanged(TcxLookAndFeelChangedEvent::Bind<&TcxControl::LookAndFeelChangeHandler>(this));
  FScrollbarMode =
      IsTouchScrollbarModeSupported() ? GetScrollbarModeFromLookAndFeel() : TdxScrollbarMode::sbmClassic;
  FScrollBars = vcl::TScrollStyle::ssBoth;
  FScrollBarsManager = rtl::New<TcxControlScrollBarsManager>(this);
  FScrollUIActivityHelper = rtl::New<TdxTouchScrollUIActivityHelper>();
  FHybridScrollbarsManager = rtl::New<TdxHybridScrollbarsManager>(this);
  FHybridScrollbarBaseColor = vcl::clDefault;
  CreateScrollBars();
  SetTabStop(CanBeFocused());
  if (TdxResourceStringsRepository* repository = dxGetResourceStringsRepository())
    repository->AddListener(this);
}

void TcxControl::Destroy()
{
  // Clients may hold the object longer: from now on it answers without us.
  // The references that marshalling keeps for clients that never collected
  // the object, or live in other apartments, go now rather than with COM.
  if (rtl::IPtr<IcxAccessibilityHelper> helper = std::move(FAccessibilityHelper)) {
    helper->OwnerObjectDestroyed();
    CoDisconnectObject(static_cast<IAccessible*>(helper->GetHelper()), 0);
  }
  if (TdxResourceStringsRepository* repository = dxGetResourceStringsRepository())
    repository->RemoveListener(this);
  DeactivateTouchScrollUI();
  if (Dragging())
    EndDrag(false);
  DestroyScrollBars();
  rtl::FreeAndNil(FHybridScrollbarsManager);
  rtl::FreeAndNil(FScrollUIActivityHelper);
  rtl::FreeAndNil(FDragAndDropObject);
  rtl::FreeAndNil(FDragImages);
  rtl::FreeAndNil(FScrollBarsManager);
  delete FFontListenerList;
  FFontListenerList = nullptr;
  rtl::FreeAndNil(FActiveCanvas);
  rtl::FreeAndNil(FCanvas);
  rtl::FreeAndNil(FLookAndFeel);
  inherited::Destroy();
}

void TcxControl::SetLookAndFeel(TcxLookAndFeel* AValue)
{
  FLookAndFeel->Assign(AValue);
}

bool TcxControl::IsDestroying() const
{
  return GetComponentState().Contains(TComponentStateFlag::csDestroying);
}

bool TcxControl::IsLoading() const
{
  return GetComponentState().Contains(TComponentStateFlag::csLoading);
}

bool TcxControl::IsDesigning()
{
  return GetComponentState().Contains(TComponentStateFlag::csDesigning);
}

bool TcxControl::IsFocused()
{
  return Focused();
}

TcxCanvas* TcxControl::GetActiveCanvas()
{
  if (HandleAllocated()) {
    rtl::FreeAndNil(FActiveCanvas);
    return FCanvas;
  }
  if (!FActiveCanvas)
    FActiveCanvas = rtl::New<TcxScreenCanvas>();
  return FActiveCanvas;
}

void TcxControl::SetBorderStyle(TcxControlBorderStyle AValue)
{
  if (FBorderStyle == AValue)
    return;
  FBorderStyle = AValue;
  BorderStyleChanged();
}

void TcxControl::SetHint(const rtl::String& AValue)
{
  FOriginalHint = AValue;
  inherited::SetHint(AValue);
}

// The framework's copy of the action's hint went to the hint for the
// mouse; the hint as set follows it too.
void TcxControl::ActionChange(rtl::TObject* ASender, bool ACheckDefaults)
{
  inherited::ActionChange(ASender, ACheckDefaults);
  if (!rtl::Is<vcl::TCustomAction>(ASender))
    return;
  if (!ACheckDefaults || FOriginalHint.empty())
    SetHint(static_cast<vcl::TCustomAction*>(ASender)->GetHint());
}

void TcxControl::SetCxPopupMenu(rtl::TComponent* AValue)
{
  rtl::IPtr<IcxPopupMenu> menu;
  if (AValue && !rtl::Is<vcl::TPopupMenu>(AValue) &&
      !rtl::Supports(AValue, &menu))
    AValue = nullptr;
  if (FPopupMenu == AValue)
    return;
  if (FPopupMenu)
    FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = AValue;
  if (FPopupMenu)
    FPopupMenu->FreeNotification(this);
}

void TcxControl::Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation)
{
  inherited::Notification(AComponent, AOperation);
  if (AOperation == rtl::TOperation::opRemove && AComponent == FPopupMenu)
    FPopupMenu = nullptr;
}

void TcxControl::SetTransparent(bool AValue)
{
  if (FTransparent == AValue)
    return;
  FTransparent = AValue;
  TransparentChanged();
}

void TcxControl::SetParentBackground(bool AValue)
{
  if (GetParentBackground() == AValue)
    return;
  inherited::SetParentBackground(AValue);
  ParentBackgroundChanged();
}

void TcxControl::TransparentChanged()
{
  vcl::TControlStyle style = GetControlStyle();
  style.Exclude(TControlStyleItem::csOpaque);
  style.Exclude(TControlStyleItem::csParentBackground);
  style.Include(FTransparent ? TControlStyleItem::csParentBackground : TControlStyleItem::csOpaque);
  SetControlStyle(style);
  Invalidate();
}

void TcxControl::AddChildComponent(TcxControlChildComponent* AComponent)
{
  AComponent->SetControl(this);
}

void TcxControl::RemoveChildComponent(TcxControlChildComponent* AComponent)
{
  AComponent->SetControl(nullptr);
}

void TcxControl::AddFontListener(IcxFontListener* AListener)
{
  FFontListenerList->emplace_back(AListener);
}

void TcxControl::RemoveFontListener(IcxFontListener* AListener)
{
  auto& list = *FFontListenerList;
  auto it = std::find_if(list.begin(), list.end(), [&](const auto& AItem) { return AItem.Get() == AListener; });
  if (it != list.end())
    list.erase(it);
}

void TcxControl::FontChanged()
{
  rtl::IPtr<IcxControlFontListener> own;
  if (rtl::Supports(this, &own))
    own->FontChanged(GetFont());
  // A copy: a listener may leave while told.
  const auto listeners = *FFontListenerList;
  for (const auto& listener : listeners)
    listener->Changed(this, GetFont());
  Invalidate();
}

TcxCustomLookAndFeelPainter* TcxControl::GetPainter()
{
  return FLookAndFeel->GetPainter();
}

vcl::TColor TcxControl::GetContentTextColor()
{
  return GetPainter()->DefaultContentTextColor();
}

void TcxControl::LookAndFeelChangeHandler(TcxLookAndFeel* ASender, TcxLookAndFeelValues AChangedValues)
{
  vcl::TApplication* application = vcl::detail::ExistingApplication();
  if (IsDestroying() ||
      (application && application->GetComponentState().Contains(TComponentStateFlag::csDestroying)))
    return;
  LookAndFeelChanged(ASender, AChangedValues);
}

void TcxControl::LookAndFeelChanged(TcxLookAndFeel* /*ASender*/, TcxLookAndFeelValues /*AChangedValues*/)
{
  CheckScrollbarModeChanged();
}

void TcxControl::ScaleChanged()
{
  inherited::ScaleChanged();
  FLookAndFeel->Refresh();
}

bool TcxControl::CanFocusEx()
{
  if (!CanFocus())
    return false;
  vcl::TCustomForm* form = vcl::GetParentForm(this);
  return !form || (form->CanFocus() && form->GetEnabled() && form->GetVisible());
}

void TcxControl::SetFocus()
{
  inherited::SetFocus();
  FActivateType = TcxControlActivateType::atOther;
}

bool TcxControl::CanFocusByMouse()
{
  return !IsDesigning() && FFocusOnClick && CanBeFocused() && CanFocus() && HandleAllocated() &&
         IsWindowVisible(GetHandle());
}

bool TcxControl::CanFocusOnClick(int /*X*/, int /*Y*/)
{
  return CanFocusByMouse();
}

bool TcxControl::CanFocusOnScrollBarClick(vcl::TControl* /*AScrollBar*/)
{
  return CanFocusByMouse();
}

void TcxControl::FocusOnMouseDown(vcl::TMouseButton /*AButton*/, int /*X*/, int /*Y*/)
{
  SetFocus();
}

void TcxControl::FocusChanged()
{
  if (FOnFocusChanged)
    FOnFocusChanged(this);
}

void TcxControl::VisibleChanged()
{
  if (!GetVisible())
    HideScrollUI(nullptr, true);
}

bool TcxControl::HasParentBackground()
{
  return GetParent() && GetControlStyle().Contains(TControlStyleItem::csParentBackground);
}

bool TcxControl::IsDoubleBuffered()
{
  return GetDoubleBuffered();
}

void TcxControl::DoDesignerModified()
{
}

bool TcxControl::KeepBufferedPaintAlpha()
{
  return GetControlStyle().Contains(TControlStyleItem::csPaintBlackOpaqueOnGlass);
}

int TcxControl::GetBorderSize()
{
  return FBorderStyle == cxcbsDefault ? GetPainter()->BorderSize() : 0;
}

TRect TcxControl::GetBounds()
{
  if (!IsRectEmpty(&FBounds))
    return FBounds;
  if (HandleAllocated())
    return GetClientRect();
  return TRect{0, 0, GetWidth(), GetHeight()};
}

void TcxControl::GetHintForPoint(const TPoint& /*P*/, rtl::String& AText)
{
  AText = FOriginalHint;
}

vcl::TCursor TcxControl::GetCurrentCursor(int X, int Y)
{
  if (IsPointOnScrollBars(TPoint{X, Y}))
    return vcl::crArrow;
  if (IsDesigning())
    return vcl::crDefault;
  return GetCursor();
}

bool TcxControl::AcceptMousePosForClick(int X, int Y)
{
  return GetDragMode() == vcl::TDragMode::dmManual || IsMouseInPressedArea(X, Y);
}

bool TcxControl::IsMouseInPressedArea(int X, int Y) const
{
  const int threshold = vcl::Mouse()->GetDragThreshold();
  return std::abs(X - FMouseDownPos.x) < threshold && std::abs(Y - FMouseDownPos.y) < threshold;
}

// ---------------------------------------------------------------------------
// TcxControl: invalidation and window helpers

void TcxControl::InvalidateRect(const TRect& R, bool AEraseBackground)
{
  if (HandleAllocated())
    ::InvalidateRect(GetHandle(), &R, AEraseBackground);
}

void TcxControl::InvalidateRgn(TcxRegion* ARegion, bool AEraseBackground)
{
  if (HandleAllocated() && ARegion && !ARegion->GetIsEmpty())
    ::InvalidateRgn(GetHandle(), ARegion->GetHandle(), AEraseBackground);
}

void TcxControl::InvalidateWithChildren()
{
  if (HandleAllocated())
    RedrawWindow(GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_NOERASE);
}

void TcxControl::UpdateWithChildren()
{
  if (HandleAllocated())
    RedrawWindow(GetHandle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TcxControl::PostMouseMove(const TPoint& AMousePos)
{
  if (!HandleAllocated() || GetCapture() != nullptr)
    return;
  PostMessageW(GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(AMousePos.x, AMousePos.y));
}

void TcxControl::PostMouseMove()
{
  if (HandleAllocated())
    PostMouseMove(GetMouseClientPos());
}

TPoint TcxControl::GetMouseClientPos()
{
  return ScreenToClient(cxGetMouseCursorPosition());
}

void TcxControl::ScrollWindow(int DX, int DY, const TRect& AScrollRect)
{
  if (!HandleAllocated())
    return;
  // A framework drag image over the control would be scrolled with it.
  vcl::TDragObject* dragObject = cxGetDragObject();
  if (dragObject)
    dragObject->HideDragImage();
  ScrollWindowEx(GetHandle(), DX, DY, &AScrollRect, nullptr, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
  if (dragObject)
    dragObject->ShowDragImage();
}

void TcxControl::CMInvalidate(rtl::TMessage& AMessage)
{
  if (!HandleAllocated() || IsDestroying())
    return;
  if (GetParent())
    GetParent()->Perform(rtl::CM_INVALIDATE, 1, 0);
  if (AMessage.WParam == 0)
    ::InvalidateRect(GetHandle(), nullptr, !GetControlStyle().Contains(TControlStyleItem::csOpaque));
  if (!HasTransparentChildren())
    return;
  for (int i = 0; i < GetControlCount(); ++i) {
    vcl::TControl* child = GetControls(i);
    const vcl::TControlStyle style = child->GetControlStyle();
    if (rtl::Is<vcl::TWinControl>(child) &&
        (!style.Contains(TControlStyleItem::csOpaque) || style.Contains(TControlStyleItem::csParentBackground)))
      child->Invalidate();
  }
}

// ---------------------------------------------------------------------------
// TcxControl: painting

void TcxControl::WMPaint(vcl::TWMPaint& AMessage)
{
  if (AMessage.DC || !IsDoubleBuffered()) {
    PaintHandler(AMessage);
    return;
  }
  if (cxIsCompositionEnabled() && CanUseBufferedPaint())
    cxPaintWindowBuffered(GetHandle(), KeepBufferedPaintAlpha());
  else
    cxPaintWindowDoubleBuffered(this);
}

void TcxControl::PaintHandler(vcl::TWMPaint& AMessage)
{
  HDC dc = AMessage.DC;
  PAINTSTRUCT paint{};
  vcl::TOwnedRegion updateRegion;
  if (!dc) {
    updateRegion.Reset(CreateRectRgn(0, 0, 0, 0));
    const bool usable = cxGetControlUpdateRegion(this, updateRegion.Get());
    dc = BeginPaint(GetHandle(), &paint);
    if (usable)
      SelectClipRgn(dc, updateRegion.Get());
  }
  struct TEndPaint {
    HWND Wnd;
    PAINTSTRUCT* Paint;
    bool Active;
    ~TEndPaint()
    {
      if (Active)
        EndPaint(Wnd, Paint);
    }
  } endPaint{GetHandle(), &paint, AMessage.DC == nullptr};

  if (GetControlState().Contains(TControlStateItem::csPaintCopy) && HasNonClientArea()) {
    TRect margins;
    GetNonClientMargins(margins);
    const TPoint origin = cxGetClientOriginInWindow(GetHandle());
    TcxPaintCanvas* canvas = cxPaintCanvas();
    canvas->BeginPaint(dc);
    canvas->SetWindowOrg(TPoint{-(origin.x - margins.left), -(origin.y - margins.top)});
    DrawNonClientArea(canvas);
    canvas->EndPaint();
    POINT previous;
    OffsetWindowOrgEx(dc, -margins.left, -margins.top, &previous);
    const TRect client = GetClientRect();
    IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
  }

  std::vector<vcl::TControl*> graphicChildren;
  for (int i = 0; i < GetControlCount(); ++i)
    if (!rtl::Is<vcl::TWinControl>(GetControls(i)))
      graphicChildren.push_back(GetControls(i));
  if (graphicChildren.empty()) {
    PaintWindow(dc);
  } else {
    vcl::TSaveDCGuard saved(dc);
    int clip = SIMPLEREGION;
    for (vcl::TControl* child : graphicChildren) {
      const bool visible = child->GetVisible() ||
                           (IsDesigning() && !child->GetControlStyle().Contains(TControlStyleItem::csNoDesignVisible));
      if (!visible || !child->GetControlStyle().Contains(TControlStyleItem::csOpaque))
        continue;
      const TRect r = child->GetBoundsRect();
      clip = ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
      if (clip == NULLREGION)
        break;
    }
    if (clip != NULLREGION)
      PaintWindow(dc);
  }
  PaintControls(dc, nullptr);
}

void TcxControl::PaintWindow(HDC ADC)
{
  if (IsLoading())
    return;
  if (!inherited::GetCanvas()->HandleAllocated()) {
    inherited::PaintWindow(ADC);
    return;
  }
  // A paint inside a paint: the outer one's canvas state comes back.
  FCanvas->SaveState();
  try {
    inherited::PaintWindow(ADC);
  } catch (...) {
    FCanvas->RestoreState();
    throw;
  }
  FCanvas->RestoreState();
}

void TcxControl::Paint()
{
  if (IsLoading())
    return;
  rtl::IPtr<IcxControlImageProvider> provider;
  if (rtl::Supports(this, &provider)) {
    if (vcl::TBitmap* image = provider->GetImage()) {
      const TRect client = GetClientRect();
      HDC dc = GetActiveCanvas()->GetHandle();
      vcl::TWinControl* owner = provider->GetImageOwner();
      if (owner == this) {
        StretchBlt(dc, 0, 0, client.right, client.bottom, image->GetCanvas()->GetHandle(), 0, 0, image->GetWidth(),
                   image->GetHeight(), SRCCOPY);
      } else if (owner) {
        const TPoint offset = cxMapWindowPoint(GetHandle(), owner->GetHandle(), TPoint{0, 0});
        BitBlt(dc, 0, 0, client.right, client.bottom, image->GetCanvas()->GetHandle(), offset.x, offset.y, SRCCOPY);
      }
      return;
    }
  }
  auto* canvas = static_cast<TcxControlCanvas*>(FCanvas);
  canvas->BeginPaint();
  try {
    DoPaint();
  } catch (...) {
    canvas->EndPaint();
    throw;
  }
  canvas->EndPaint();
}

void TcxControl::DoPaint()
{
  DrawScrollBars(FCanvas);
  if (FBorderStyle == cxcbsDefault) {
    DrawBorder(FCanvas);
    TRect r = GetBounds();
    const int border = GetBorderSize();
    InflateRect(&r, -border, -border);
    FCanvas->IntersectClipRect(r);
    ClipToClientBounds();
  }
  UpdateScrollBarControls();
}

void TcxControl::DrawBorder(TcxCanvas* ACanvas)
{
  GetPainter()->DrawBorder(ACanvas, GetBounds());
}

void TcxControl::DrawScrollBars(TcxCanvas* ACanvas)
{
  FScrollBarsManager->Paint(ACanvas);
  if (FMainScrollBars)
    FMainScrollBars->DrawSizeGrip(ACanvas);
}

void TcxControl::ClipToClientBounds()
{
  FCanvas->IntersectClipRect(GetClientBounds());
}

void TcxControl::EraseBackground(HDC ADC)
{
  if (IsLoading())
    return;
  TcxPaintCanvas* canvas = cxPaintCanvas();
  canvas->BeginPaint(ADC);
  try {
    DrawBackground(canvas, GetClientRect());
  } catch (...) {
    canvas->EndPaint();
    throw;
  }
  canvas->EndPaint();
}

void TcxControl::DrawBackground(TcxCanvas* ACanvas, const TRect& R)
{
  if (HasParentBackground())
    cxPaintParentBackground(this, ACanvas, R);
  else
    ACanvas->FillRect(R, GetBrush()->GetColor());
}

void TcxControl::WMEraseBkgnd(vcl::TWMEraseBkgnd& AMessage)
{
  const bool fromBuffer =
      reinterpret_cast<rtl::TMessage&>(AMessage).WParam == static_cast<WPARAM>(reinterpret_cast<rtl::TMessage&>(AMessage).LParam);
  const bool due = fromBuffer || NeedsEraseBackground();
  if (due && (fromBuffer || !IsDoubleBuffered()))
    EraseBackground(AMessage.DC);
  AMessage.Result = due ? 1 : 0;
}

IcxAccessibilityHelper* TcxControl::GetIAccessibilityHelper()
{
  if (!FAccessibilityHelper && !IsDestroying())
    FAccessibilityHelper = GetAccessibilityHelperClass().Create(this);
  return FAccessibilityHelper.Get();
}

TcxAccessibilityHelperClass TcxControl::GetAccessibilityHelperClass()
{
  return TcxAccessibilityHelperClass::Of<TcxControlAccessibilityHelper>();
}

void TcxControl::WMGetObject(rtl::TMessage& AMessage)
{
  const TcxLresultFromObjectFunc fromObject = cxLresultFromObject();
  IcxAccessibilityHelper* helper = fromObject && static_cast<LONG>(AMessage.LParam) == OBJID_CLIENT
                                       ? GetIAccessibilityHelper()
                                       : nullptr;
  if (!helper) {
    InheritedMessage(this, AMessage);
    return;
  }
  IAccessible* accessible = helper->GetHelper();
  AMessage.Result = fromObject(__uuidof(IAccessible), AMessage.WParam, accessible);
}

void TcxControl::WMNCPaint(rtl::TMessage& AMessage)
{
  InheritedMessage(this, AMessage);
  if (!HasNonClientArea() || !HandleAllocated())
    return;
  DWORD flags = DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS | DCX_VALIDATE;
  vcl::TOwnedRegion region;
  if (AMessage.WParam != 1) {
    region.Reset(CreateRectRgn(0, 0, 0, 0));
    CombineRgn(region.Get(), reinterpret_cast<HRGN>(AMessage.WParam), nullptr, RGN_COPY);
    flags |= DCX_INTERSECTRGN;
  }
  vcl::TWindowDC dc(GetHandle(), GetDCEx(GetHandle(), region.Get(), flags));
  if (dc) {
    // The DC took the region: it is the system's from now on.
    region.Release();
    PaintNonClientArea(dc.Get());
  }
  AMessage.Result = 0;
}

void TcxControl::WMPrint(rtl::TMessage& AMessage)
{
  InheritedMessage(this, AMessage);
  if ((AMessage.LParam & PRF_NONCLIENT) != 0 && HasNonClientArea())
    PaintNonClientArea(reinterpret_cast<HDC>(AMessage.WParam));
}

void TcxControl::PaintNonClientArea(HDC ADC)
{
  vcl::TSaveDCGuard saved(ADC);
  const TPoint origin = cxGetClientOriginInWindow(GetHandle());
  const TRect client = GetClientRect();
  TRect clientInWindow{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
  ExcludeClipRect(ADC, clientInWindow.left, clientInWindow.top, clientInWindow.right, clientInWindow.bottom);
  TRect margins;
  GetNonClientMargins(margins);
  IntersectClipRect(ADC, clientInWindow.left - margins.left, clientInWindow.top - margins.top,
                    clientInWindow.right + margins.right, clientInWindow.bottom + margins.bottom);
  const TRect window = cxGetWindowSizeRect(GetHandle());
  rtl::TOwnedPtr<TcxBitmap> bitmap(
      rtl::NewWith<TcxBitmap>([&](TcxBitmap* B) { B->CreateSize(window.right, window.bottom); }));
  DrawNonClientArea(bitmap->GetcxCanvas());
  BitBlt(ADC, 0, 0, window.right, window.bottom, bitmap->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------------------
// TcxControl: the window procedure

void TcxControl::CreateParams(vcl::TCreateParams& AParams)
{
  inherited::CreateParams(AParams);
  AParams.Style |= WS_CLIPCHILDREN;
}

TPoint TcxControl::GetMouseMessagePos(const rtl::TMessage& AMessage)
{
  if (IsHugeControl(this))
    return ScreenToClient(cxGetMouseCursorPosition());
  return TPoint{static_cast<SHORT>(LOWORD(AMessage.LParam)), static_cast<SHORT>(HIWORD(AMessage.LParam))};
}

void TcxControl::WndProc(rtl::TMessage& AMessage)
{
  // Messages reach the control while it is still being made.
  if (FScrollBarsManager && IsMessageHandlingEnabled() &&
      (HandleGestureMessage(AMessage) || FScrollBarsManager->HandleMessage(AMessage)))
    return;
  if (FScrollUIActivityHelper && IsNonClassicScrollBarMode() &&
      FScrollUIActivityHelper->CheckScrollActivity(this, AMessage))
    ShowScrollUI(GetScrollUIOwner(GetMouseMessagePos(AMessage)), true);

  TcxWeakLinkGuard link(this);
  const UINT msg = AMessage.Msg;
  const bool leftPress = msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK;
  bool direct = false;
  if (leftPress && !Dragging()) {
    const TPoint p = GetMouseMessagePos(AMessage);
    direct = IsDesigning() ? GetDesignHitTest(p.x, p.y, vcl::TShiftState{vcl::TShiftStateItem::ssLeft})
                           : GetDragMode() == vcl::TDragMode::dmAutomatic;
  }
  if (direct) {
    DispatchLeftButtonDirectly(AMessage);
  } else {
    if (msg == WM_RBUTTONUP)
      FMouseRightButtonReleased = true;
    inherited::WndProc(AMessage);
  }
  if (!link.Alive() || IsDestroying())
    return;

  switch (msg) {
    case WM_SETFOCUS:
      FocusEnter();
      FocusChanged();
      break;
    case WM_KILLFOCUS:
      FocusLeave();
      FocusChanged();
      break;
    case WM_RBUTTONUP:
      FMouseRightButtonReleased = false;
      break;
    // Another window took the mouse (a popup, a dialog): the operation
    // could never see its button-up, so it ends as not accepted. A plain
    // release (no new owner) is the framework's own before the button-up.
    case WM_CAPTURECHANGED:
      if (FDragAndDropState != ddsNone && AMessage.LParam != 0 &&
          reinterpret_cast<HWND>(AMessage.LParam) != GetHandle() && CancelDragOnCaptureLoss())
        FinishDragAndDrop(false);
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      const TPoint p = GetMouseMessagePos(AMessage);
      AfterMouseButtonDown(ButtonOfMessage(msg), p.x, p.y);
      break;
    }
    default:
      break;
  }
}

void TcxControl::DispatchLeftButtonDirectly(rtl::TMessage& AMessage)
{
  const TPoint p = GetMouseMessagePos(AMessage);
  vcl::TControl* child = ControlAtPos(p, false);
  if (child && !rtl::Is<vcl::TWinControl>(child)) {
    inherited::WndProc(AMessage);
    return;
  }
  TcxWeakLinkGuard link(this);
  SetControlState(GetControlState() + vcl::TControlState{TControlStateItem::csLButtonDown});
  try {
    Dispatch(AMessage);
  } catch (...) {
    if (link.Alive())
      SetControlState(GetControlState() - vcl::TControlState{TControlStateItem::csLButtonDown});
    throw;
  }
  if (link.Alive())
    SetControlState(GetControlState() - vcl::TControlState{TControlStateItem::csLButtonDown});
}

void TcxControl::AfterMouseButtonDown(vcl::TMouseButton AButton, int X, int Y)
{
  if (AButton == vcl::TMouseButton::mbLeft) {
    if (GetDragMode() != vcl::TDragMode::dmAutomatic || !GetMouseCapture())
      return;
    if ((IsDesigning() && !CanDragAtDesignTime(X, Y)) || !CanStartDragAndDrop(X, Y))
      return;
    if (cxDragDetect(GetHandle(), ClientToScreen(TPoint{X, Y})) == TcxDragDetect::ddDrag)
      BeginDrag(true, -1);
  } else if (AButton == vcl::TMouseButton::mbMiddle && NeedsScrollBars()) {
    cxAnchorScroll(this, IsHScrollBarVisible(), IsVScrollBarVisible(), FIsScrollingContent,
                   TcxAnchorScrollStep::Bind<&TcxControl::ScrollContent>(this));
  }
}

void TcxControl::DefaultHandler(rtl::TMessage& AMessage)
{
  if ((AMessage.Msg == WM_KEYDOWN || AMessage.Msg == WM_SYSKEYDOWN)) {
    vcl::TApplication* application = vcl::detail::ExistingApplication();
    if (application && application->GetHandle() &&
        SendMessageW(application->GetHandle(), DXM_UNHANDLEDKEY, AMessage.WParam, AMessage.LParam) != 0)
      return;
  }
  inherited::DefaultHandler(AMessage);
}

// ---------------------------------------------------------------------------
// TcxControl: mouse

void TcxControl::MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  FMouseDownPos = TPoint{X, Y};
  TcxWeakLinkGuard link(this);
  struct TPressedFlag {
    TcxControl* Control;
    const TcxWeakLinkGuard& Link;
    ~TPressedFlag()
    {
      if (Link.Alive() && Control->GetMouseCapture())
        Control->FMouseButtonPressed = true;
    }
  } pressed{this, link};

  const bool isDouble = AShift.Contains(vcl::TShiftStateItem::ssDouble);
  if (CanFocusOnClick(X, Y) && !isDouble) {
    const TRect before = GetBoundsRect();
    FActivateType = TcxControlActivateType::atByMouse;
    FocusOnMouseDown(AButton, X, Y);
    if (!link.Alive())
      return;
    vcl::TCustomForm* form = vcl::GetParentForm(this);
    if (form && form->GetActiveControl() == this && !IsFocused())
      ::SetFocus(GetHandle());
    if (!IsFocused() && !AllowUnfocusedMouseDown()) {
      SetMouseCapture(false);
      return;
    }
    if (CorrectMousePosAfterFocus()) {
      X += before.left - GetLeft();
      Y += before.top - GetTop();
    }
  }
  if (!FFinishingDragAndDrop) {
    if (AButton == vcl::TMouseButton::mbLeft && !isDouble && StartDragAndDrop(TPoint{X, Y})) {
      if (IsImmediateDragAndDropStart())
        BeginDragAndDrop();
      else
        SetDragAndDropState(ddsStarting);
    } else {
      FinishDragAndDrop(false);
    }
  }
  if (!link.Alive())
    return;
  BeforeMouseDown(AButton, AShift, X, Y);
  if (link.Alive())
    inherited::MouseDown(AButton, AShift, X, Y);
}

void TcxControl::MouseMove(vcl::TShiftState AShift, int X, int Y)
{
  TcxWeakLinkGuard link(this);
  inherited::MouseMove(AShift, X, Y);
  if (!link.Alive())
    return;
  if (FDragAndDropState == ddsStarting && !IsMouseInPressedArea(X, Y)) {
    BeginDragAndDrop();
  } else if (FDragAndDropState == ddsInProcess) {
    bool accepted = false;
    DragAndDrop(TPoint{X, Y}, accepted);
  }
  if (!link.Alive())
    return;
  rtl::String text;
  GetHintForPoint(TPoint{X, Y}, text);
  inherited::SetHint(text);
}

void TcxControl::MouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  FMouseButtonPressed = false;
  TcxWeakLinkGuard link(this);
  FinishMouseActions();
  if (link.Alive())
    inherited::MouseUp(AButton, AShift, X, Y);
}

void TcxControl::FinishMouseActions()
{
  FinishDragAndDrop(true);
  SetMouseCaptureObject(nullptr);
}

void TcxControl::CancelMouseOperations()
{
  FMouseButtonPressed = false;
  SetMouseCaptureObject(nullptr);
}

void TcxControl::SetMouseCaptureObject(rtl::TObject* AValue)
{
  if (FMouseCaptureObject == AValue)
    return;
  rtl::IPtr<IcxMouseCaptureObject> old;
  if (FMouseCaptureObject && rtl::Supports(FMouseCaptureObject, &old))
    old->DoCancelMode();
  FMouseCaptureObject = AValue;
  const bool hadCapture = GetMouseCapture();
  SetMouseCapture(AValue != nullptr);
  if (hadCapture && !GetMouseCapture() && FDragAndDropState == ddsStarting && CancelDragOnCaptureLoss())
    Perform(WM_CANCELMODE, 0, 0);
}

void TcxControl::WMCancelMode(rtl::TMessage& AMessage)
{
  InheritedMessage(this, AMessage);
  FinishDragAndDrop(false);
  CancelMouseOperations();
}

bool TcxControl::GetDesignHitTest(int X, int Y, vcl::TShiftState /*AShift*/)
{
  if (!IsDesigning())
    return false;
  if (FDragAndDropState != ddsNone || FMouseButtonPressed)
    return true;
  return IsPointOnScrollBars(TPoint{X, Y});
}

void TcxControl::CMDesignHitTest(rtl::TMessage& AMessage)
{
  InheritedMessage(this, AMessage);
  if (AMessage.Result == 0) {
    const TPoint p{static_cast<SHORT>(LOWORD(AMessage.LParam)), static_cast<SHORT>(HIWORD(AMessage.LParam))};
    AMessage.Result = GetDesignHitTest(p.x, p.y, vcl::KeysToShiftState(static_cast<WORD>(AMessage.WParam))) ? 1 : 0;
  }
}

void TcxControl::WMSetCursor(rtl::TMessage& AMessage)
{
  if (reinterpret_cast<HWND>(AMessage.WParam) == GetHandle() && FDragAndDropState == ddsNone &&
      vcl::Screen()->GetCursor() == vcl::crDefault) {
    const TPoint p = GetMouseClientPos();
    const vcl::TCursor cursor = GetCurrentCursor(p.x, p.y);
    if (cursor != vcl::crDefault) {
      ::SetCursor(vcl::Screen()->GetCursors(cursor));
      AMessage.Result = 1;
      return;
    }
  }
  InheritedMessage(this, AMessage);
}

void TcxControl::MouseEnter(vcl::TControl* AControl)
{
  if ((AControl && AControl != this) || FMouseEnterCounter != 0)
    return;
  FMouseEnterCounter = 1;
  if (FOnMouseEnter)
    FOnMouseEnter(this);
}

void TcxControl::MouseLeave(vcl::TControl* AControl)
{
  if ((AControl && AControl != this) || FMouseEnterCounter != 1)
    return;
  FMouseEnterCounter = 0;
  if (FOnMouseLeave)
    FOnMouseLeave(this);
}

void TcxControl::CMMouseEnter(rtl::TMessage& AMessage)
{
  TcxWeakLinkGuard link(this);
  InheritedMessage(this, AMessage);
  if (link.Alive())
    MouseEnter(reinterpret_cast<vcl::TControl*>(AMessage.LParam));
}

void TcxControl::CMMouseLeave(rtl::TMessage& AMessage)
{
  TcxWeakLinkGuard link(this);
  InheritedMessage(this, AMessage);
  if (link.Alive())
    MouseLeave(reinterpret_cast<vcl::TControl*>(AMessage.LParam));
}

void TcxControl::WMContextMenu(rtl::TMessage& AMessage)
{
  if (ScrollBarsHaveCapture()) {
    AMessage.Result = 1;
    return;
  }
  const TPoint screen{static_cast<SHORT>(LOWORD(AMessage.LParam)), static_cast<SHORT>(HIWORD(AMessage.LParam))};
  if (!(screen.x == -1 && screen.y == -1) && IsPointOnScrollBars(ScreenToClient(screen))) {
    AMessage.Result = 1;
    return;
  }
  InheritedMessage(this, AMessage);
}

void TcxControl::DoContextPopup(TPoint AMousePos, bool& AHandled)
{
  inherited::DoContextPopup(AMousePos, AHandled);
  if (AHandled)
    return;
  if (AMousePos.x == -1 && AMousePos.y == -1)
    AMousePos = TPoint{0, 0};
  const TPoint screen = ClientToScreen(AMousePos);
  if (ContextPopupHook && ContextPopupHook(this, FPopupMenu, screen))
    AHandled = true;
  else
    AHandled = DoShowPopupMenu(FPopupMenu, screen.x, screen.y);
}

bool TcxControl::DoShowPopupMenu(rtl::TComponent* AMenu, int X, int Y)
{
  return cxShowPopupMenu(this, AMenu, X, Y);
}

// A notch is 120: smaller deltas of one direction add up to one step; a
// change of direction starts again.
bool TcxControl::DoMouseWheel(vcl::TShiftState AShift, int AWheelDelta, TPoint AMousePos)
{
  if (inherited::DoMouseWheel(AShift, AWheelDelta, AMousePos))
    return true;
  if (!CanMouseWheelScroll(AShift, AWheelDelta, AMousePos))
    return false;
  const int delta = std::clamp(AWheelDelta, -WheelNotch, WheelNotch);
  if (delta * FMouseWheelAccumulator < 1)
    FMouseWheelAccumulator = delta;
  else
    FMouseWheelAccumulator += delta;
  if (std::abs(FMouseWheelAccumulator) >= WheelNotch) {
    const int accumulated = FMouseWheelAccumulator;
    FMouseWheelAccumulator = 0;
    DoMouseWheelScroll(AShift, accumulated, AMousePos);
  }
  return true;
}

bool TcxControl::CanMouseWheelScroll(vcl::TShiftState /*AShift*/, int /*AWheelDelta*/, const TPoint& /*AMousePos*/)
{
  return GetMouseWheelScrollingKind() != 0;
}

int TcxControl::GetMouseWheelScrollingKind()
{
  return IsVScrollBarVisible() ? 2 : 0;
}

bool TcxControl::DoMouseWheelScroll(vcl::TShiftState /*AShift*/, int AWheelDelta, const TPoint& /*AMousePos*/)
{
  const int kind = GetMouseWheelScrollingKind();
  if (kind == 0)
    return false;
  const int lines = vcl::Mouse()->GetWheelScrollLines();
  if (lines == -1) {
    int position = 0;
    Scroll(sbVertical, AWheelDelta > 0 ? scPageUp : scPageDown, position);
    return true;
  }
  TcxDirection direction;
  if (kind == 2)
    direction = AWheelDelta > 0 ? dirUp : dirDown;
  else
    direction = AWheelDelta > 0 ? dirLeft : dirRight;
  TcxWeakLinkGuard link(this);
  for (int i = 0; i < lines && link.Alive(); ++i)
    ScrollContent(direction);
  return true;
}

// ---------------------------------------------------------------------------
// TcxControl: keyboard and notifications

void TcxControl::WMGetDlgCode(rtl::TMessage& AMessage)
{
  LRESULT code = 0;
  if (FKeys.Contains(TcxKey::kAll))
    code |= DLGC_WANTALLKEYS;
  if (FKeys.Contains(TcxKey::kArrows))
    code |= DLGC_WANTARROWS;
  if (FKeys.Contains(TcxKey::kChars))
    code |= DLGC_WANTCHARS;
  if (FKeys.Contains(TcxKey::kTab) && GetKeyState(VK_CONTROL) >= 0)
    code |= DLGC_WANTTAB;
  AMessage.Result = code;
}

// A key handler may free the control (a key that closes its page): the
// default handling runs only for a control that is still there.
void TcxControl::WMKeyDown(vcl::TWMKey& AMessage)
{
  rtl::TFreeWatch watch(this);
  if (!DoKeyDown(AMessage) && !watch.Freed())
    DefaultHandler(reinterpret_cast<rtl::TMessage&>(AMessage));
}

void TcxControl::WMKeyUp(vcl::TWMKey& AMessage)
{
  rtl::TFreeWatch watch(this);
  if (!DoKeyUp(AMessage) && !watch.Freed())
    DefaultHandler(reinterpret_cast<rtl::TMessage&>(AMessage));
}

bool TcxControl::IsPopupMenuShortCut(vcl::TWMKey& AMessage)
{
  if (IsDesigning())
    return false;
  for (vcl::TWinControl* control = this; control; control = control->GetParent())
    if (rtl::Is<TcxControl>(control)) {
      auto* cxControl = static_cast<TcxControl*>(control);
      if (cxControl->FPopupMenu && cxPopupMenuIsShortCut(cxControl->FPopupMenu, AMessage))
        return true;
    }
  return false;
}

void TcxControl::CNKeyDown(vcl::TWMKey& AMessage)
{
  if (IsPopupMenuShortCut(AMessage)) {
    AMessage.Result = 1;
    return;
  }
  // A key the operation's object refuses (Esc with the base object)
  // cancels the drag and drop.
  if (AMessage.Msg == rtl::CN_KEYDOWN && FDragAndDropState != ddsNone) {
    rtl::TFreeWatch watch(this);
    if (!GetDragAndDropObject()->DoProcessKeyDown(AMessage) && !watch.Freed())
      FinishDragAndDrop(false);
    AMessage.Result = 1;
    return;
  }
  InheritedMessage(this, AMessage);
}

void TcxControl::CNKeyUp(vcl::TWMKey& AMessage)
{
  if (FDragAndDropState != ddsNone && GetDragAndDropObject()->DoProcessKeyUp(AMessage))
    return;
  InheritedMessage(this, AMessage);
}

void TcxControl::CMFontChanged(rtl::TMessage& AMessage)
{
  InheritedMessage(this, AMessage);
  FontChanged();
}

void TcxControl::CMTextChanged(rtl::TMessage& AMessage)
{
  InheritedMessage(this, AMessage);
  TextChanged();
}

void TcxControl::CMVisibleChanged(rtl::TMessage& AMessage)
{
  InheritedMessage(this, AMessage);
  VisibleChanged();
}

void TcxControl::CMEnabledChanged(rtl::TMessage& AMessage)
{
  InheritedMessage(this, AMessage);
  EnabledChanged();
}

void TcxControl::CMColorChanged(rtl::TMessage& AMessage)
{
  ColorChanged();
  InheritedMessage(this, AMessage);
}

void TcxControl::CMCursorChanged(rtl::TMessage& AMessage)
{
  CursorChanged();
  InheritedMessage(this, AMessage);
}

void TcxControl::CMBiDiModeChanged(rtl::TMessage& AMessage)
{
  const WPARAM saved = AMessage.WParam;
  if (!CanRecreateOnBiDiModeChange())
    AMessage.WParam = 1;
  InheritedMessage(this, AMessage);
  AMessage.WParam = saved;
  BiDiModeChanged();
}
