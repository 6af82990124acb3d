#include "controls/cxDesignHelpers.h"

#include "controls/cxControls.h"
#include "controls/cxWindowProcs.h"
#include "core/cxClassesComponents.h"
#include "core/cxGeometry.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsDraw.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/GraphicsHandles.h"

using rtl::TComponentStateFlag;

namespace {

// Plain pointers, set by a running designer.
TcxDesignerModifiedHook GDesignerModifiedHook = nullptr;
TcxDesignerSelectionHook GDesignerSelectionHook = nullptr;

bool IsLoadingComponent(rtl::TComponent* AComponent)
{
  if (AComponent->GetComponentState().Contains(TComponentStateFlag::csLoading))
    return true;
  if (!rtl::Is<vcl::TControl>(AComponent))
    return false;
  for (vcl::TControl* control = static_cast<vcl::TControl*>(AComponent)->GetParent(); control;
       control = control->GetParent())
    if (control->GetComponentState().Contains(TComponentStateFlag::csLoading))
      return true;
  return false;
}

bool IsDestroyingComponent(const rtl::TComponent* AComponent)
{
  return AComponent->GetComponentState().Contains(TComponentStateFlag::csDestroying);
}

// A control whose children get no selector squares.
bool SkipsChildren(vcl::TControl* AControl)
{
  rtl::IPtr<IdxCustomizeControlsHelper> helper;
  return rtl::Supports(AControl, &helper) && helper->SkipsChildDesignSelectors();
}

bool HasWindow(vcl::TControl* AControl)
{
  return rtl::Is<vcl::TWinControl>(AControl) && static_cast<vcl::TWinControl*>(AControl)->HandleAllocated();
}

}  // namespace

void cxSetDesignerHooks(TcxDesignerModifiedHook AModified, TcxDesignerSelectionHook ASelection)
{
  GDesignerModifiedHook = AModified;
  GDesignerSelectionHook = ASelection;
}

void cxNotifyDesignerModified(rtl::TComponent* AComponent)
{
  if (!AComponent || !GDesignerModifiedHook ||
      !AComponent->GetComponentState().Contains(TComponentStateFlag::csDesigning) || IsLoadingComponent(AComponent))
    return;
  rtl::TComponent* root = AComponent;
  while (root->GetOwner())
    root = root->GetOwner();
  GDesignerModifiedHook(root);
}

// ---------------------------------------------------------------------------
// TcxDesignController

void TcxDesignController::DesignerModified(vcl::TCustomForm* AForm)
{
  if (IsDesignerModifiedLocked() || FState.Contains(TcxDesignState::dsDesignerModifying))
    return;
  FState.Include(TcxDesignState::dsDesignerModifying);
  struct TClearState {
    TcxDesignStates& State;
    ~TClearState() { State.Exclude(TcxDesignState::dsDesignerModifying); }
  } clear{FState};
  cxNotifyDesignerModified(AForm);
}

void TcxDesignController::UnLockDesignerModified()
{
  if (FLockDesignerModifiedCount > 0)
    --FLockDesignerModifiedCount;
}

// ---------------------------------------------------------------------------
// TdxControlsDesignSelectorHelper

void TdxControlsDesignSelectorHelper::Create(rtl::TComponent* AOwner)
{
  inherited::Create(nullptr);
  FControl = rtl::As<vcl::TControl>(AOwner);
  FSelectorBounds = TRect{};
  FChildren = rtl::New<TcxComponentList>(true);
  if (TcxWindowProcController* controller = cxGetWindowProcController())
    FWindowProcObject = controller->Add(
        FControl, rtl::TWndMethod::Bind<&TdxControlsDesignSelectorHelper::HandleControlMessage>(this));
  FControl->FreeNotification(this);
}

void TdxControlsDesignSelectorHelper::Destroy()
{
  if (FControl)
    FControl->RemoveFreeNotification(this);
  Unhook();
  rtl::FreeAndNil(FChildren);
  inherited::Destroy();
}

void TdxControlsDesignSelectorHelper::Unhook()
{
  if (FWindowProcObject)
    if (TcxWindowProcController* controller = cxGetWindowProcController())
      controller->Remove(FWindowProcObject);
  FWindowProcObject = nullptr;
}

// The control going away takes its helper with it: the parent helper frees
// a child's, a root helper only lets go of the control.
void TdxControlsDesignSelectorHelper::Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation)
{
  inherited::Notification(AComponent, AOperation);
  if (AOperation != rtl::TOperation::opRemove || AComponent != FControl)
    return;
  Unhook();
  FControl = nullptr;
  if (FParent)
    FParent->RemoveChild(this);
}

TRect TdxControlsDesignSelectorHelper::CalculateBounds(const TRect& R, const TdxScaleFactor* AScaleFactor)
{
  return CalculateBounds(R, 8, 15, AScaleFactor);
}

TRect TdxControlsDesignSelectorHelper::CalculateBounds(const TRect& R, int AOffset, int ASize,
                                                       const TdxScaleFactor* AScaleFactor)
{
  const int offset = AScaleFactor ? AScaleFactor->Apply(AOffset) : AOffset;
  const int size = AScaleFactor ? AScaleFactor->Apply(ASize) : ASize;
  TRect result = cxRectInflateAll(R, -offset);
  result.left = result.right - size;
  result.top = result.bottom - size;
  return result;
}

int TdxControlsDesignSelectorHelper::GetChildCount() const
{
  return FChildren->GetCount();
}

TdxControlsDesignSelectorHelper* TdxControlsDesignSelectorHelper::GetChild(int AIndex) const
{
  return static_cast<TdxControlsDesignSelectorHelper*>(FChildren->GetItem(AIndex));
}

TdxControlsDesignSelectorHelper* TdxControlsDesignSelectorHelper::FindChild(vcl::TControl* AControl) const
{
  for (int i = 0; i < GetChildCount(); ++i)
    if (GetChild(i)->FControl == AControl)
      return GetChild(i);
  return nullptr;
}

void TdxControlsDesignSelectorHelper::SetSelectorBounds(const TRect& AValue)
{
  if (cxRectsEqual(AValue, FSelectorBounds))
    return;
  FSelectorBounds = AValue;
  UpdateChildren();
  if (IsVisible())
    FControl->Invalidate();
}

// From the other helper's control's client coordinates into this one's.
void TdxControlsDesignSelectorHelper::Assign(rtl::TPersistent* ASource)
{
  if (!rtl::Is<TdxControlsDesignSelectorHelper>(ASource)) {
    inherited::Assign(ASource);
    return;
  }
  auto* source = static_cast<TdxControlsDesignSelectorHelper*>(ASource);
  if (!source->FControl || !FControl)
    return;
  const TPoint from = source->FControl->ClientToScreen(TPoint{0, 0});
  const TPoint to = FControl->ClientToScreen(TPoint{0, 0});
  SetSelectorBounds(cxRectOffsetBy(source->FSelectorBounds, from.x - to.x, from.y - to.y));
  UpdateChildren();
}

bool TdxControlsDesignSelectorHelper::CanProcess()
{
  return FControl && !IsDestroyingComponent(this) && !IsDestroyingComponent(FControl);
}

bool TdxControlsDesignSelectorHelper::IsVisible()
{
  if (!IsActive())
    return false;
  if (!FParent)
    return true;
  return HasWindow(FControl) && IsWindowVisible(static_cast<vcl::TWinControl*>(FControl)->GetHandle());
}

bool TdxControlsDesignSelectorHelper::IsControlSelected()
{
  if (FParent)
    return FParent->IsControlSelected();
  return GDesignerSelectionHook && FControl && GDesignerSelectionHook(FControl);
}

void TdxControlsDesignSelectorHelper::UpdateChildren()
{
  if (!FChildren)
    return;
  for (int i = 0; i < GetChildCount(); ++i)
    GetChild(i)->FChecked = false;
  if (CanProcess() && HasWindow(FControl) && !SkipsChildren(FControl)) {
    auto* control = static_cast<vcl::TWinControl*>(FControl);
    for (int i = 0; i < control->GetControlCount(); ++i) {
      vcl::TControl* child = control->GetControls(i);
      if (IsDestroyingComponent(child) || SkipsChildren(child) || !HasWindow(child))
        continue;
      TdxControlsDesignSelectorHelper* helper = FindChild(child);
      AddChild(helper ? helper : GetChildClass().Create(static_cast<rtl::TComponent*>(child)));
    }
  }
  for (int i = GetChildCount() - 1; i >= 0; --i)
    if (!GetChild(i)->FChecked)
      FChildren->Delete(i);
}

void TdxControlsDesignSelectorHelper::AddChild(TdxControlsDesignSelectorHelper* AChild)
{
  if (FChildren->IndexOf(AChild) < 0)
    FChildren->Add(AChild);
  AChild->FParent = this;
  AChild->Assign(this);
  AChild->FChecked = true;
}

void TdxControlsDesignSelectorHelper::RemoveChild(TdxControlsDesignSelectorHelper* AChild)
{
  FChildren->Remove(AChild);
  if (!IsDestroyingComponent(this))
    UpdateChildren();
}

bool TdxControlsDesignSelectorHelper::ProcessMessage(rtl::TMessage& AMessage)
{
  if (!IsActive())
    return false;
  if (AMessage.Msg == WM_NCHITTEST) {
    const TPoint screen{static_cast<SHORT>(LOWORD(AMessage.LParam)), static_cast<SHORT>(HIWORD(AMessage.LParam))};
    if (!IsSelectorHit(FControl->ScreenToClient(screen)))
      return false;
    AMessage.Result = HTTRANSPARENT;
    return true;
  }
  if (AMessage.Msg == rtl::CM_HITTEST) {
    const auto& hit = reinterpret_cast<const vcl::TCMHitTest&>(AMessage);
    if (!IsSelectorHit(hit.Pos()))
      return false;
    AMessage.Result = 0;
    return true;
  }
  return false;
}

// A handler further down the chain may free the helper (its control going
// away): nothing touches it then.
void TdxControlsDesignSelectorHelper::HandleControlMessage(rtl::TMessage& AMessage)
{
  rtl::TFreeWatch watch(this);
  if (!ProcessMessage(AMessage) && FWindowProcObject)
    FWindowProcObject->DefaultProc(AMessage);
  if (watch.Freed() || !IsActive())
    return;
  switch (AMessage.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
      if (AMessage.WParam) {
        DrawSelector(reinterpret_cast<HDC>(AMessage.WParam));
      } else if (HasWindow(FControl)) {
        const HWND wnd = static_cast<vcl::TWinControl*>(FControl)->GetHandle();
        const vcl::TWindowDC dc(wnd, GetWindowDC(wnd));
        DrawSelector(dc.Get());
      }
      break;
    case WM_WINDOWPOSCHANGED:
      if (FParent)
        Assign(FParent);
      break;
    case WM_PARENTNOTIFY:
      if (LOWORD(AMessage.WParam) == WM_CREATE || LOWORD(AMessage.WParam) == WM_DESTROY)
        UpdateChildren();
      break;
    case rtl::CM_CONTROLLISTCHANGE:
      UpdateChildren();
      break;
    default:
      break;
  }
}

void TdxControlsDesignSelectorHelper::DrawSelector(HDC ADC)
{
  TcxPaintCanvas* canvas = cxPaintCanvas();
  if (!canvas)
    return;
  TRect R = FSelectorBounds;
  if (FControl->GetParent() && HasWindow(FControl) &&
      !FControl->GetControlState().Contains(vcl::TControlStateItem::csPaintCopy)) {
    // From the client origin to the window's, for a window DC.
    const TPoint client = FControl->ClientToScreen(TPoint{0, 0});
    RECT window{};
    GetWindowRect(static_cast<vcl::TWinControl*>(FControl)->GetHandle(), &window);
    R = cxRectOffsetBy(R, client.x - window.left, client.y - window.top);
  }
  canvas->BeginPaint(ADC);
  SelectClipRgn(ADC, nullptr);
  cxDrawDesignSelector(canvas, R, IsControlSelected() ? 1 : 0);
  canvas->EndPaint();
}
