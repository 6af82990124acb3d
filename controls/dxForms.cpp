#include "controls/dxForms.h"

#include <algorithm>
#include <cwctype>
#include <vector>

#include "controls/cxControls.h"
#include "controls/dxSystemInfo.h"
#include "core/cxClassesComponents.h"
#include "core/cxGeometry.h"
#include "core/dxThreading.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/TypInfo.h"
#include "platform/vcl/ImgList.h"
#include "platform/vcl/Menus.h"

using namespace vcl;

namespace {

// The DPI values image lists are made for, searched from the highest down.
constexpr int kImageListDPIs[] = {96, 120, 144, 168, 192, 216, 240, 288};

constexpr LONG kRightToLeftExStyles = WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR;

bool GImageListReplacement = true;

// The forms whose scale change runs; a plain pointer list, as the forms
// are not owned here.
std::vector<TCustomForm*>* GScalingForms = nullptr;

bool IsScaling(TControl* AControl)
{
  return GScalingForms && std::ranges::find(*GScalingForms, AControl) != GScalingForms->end();
}

void BeginScaling(TCustomForm* AForm)
{
  if (!GScalingForms)
    GScalingForms = new std::vector<TCustomForm*>;
  GScalingForms->push_back(AForm);
}

void EndScaling(TCustomForm* AForm)
{
  if (!GScalingForms)
    return;
  std::erase(*GScalingForms, AForm);
  if (GScalingForms->empty()) {
    delete GScalingForms;
    GScalingForms = nullptr;
  }
}

void CollectControls(TWinControl* AContainer, std::vector<TControl*>& AList)
{
  for (int i = 0; i < AContainer->GetControlCount(); ++i) {
    TControl* control = AContainer->GetControls(i);
    AList.push_back(control);
    if (rtl::Is<TWinControl>(control))
      CollectControls(static_cast<TWinControl*>(control), AList);
  }
}

bool IsRemoteSession()
{
  return GetSystemMetrics(SM_REMOTESESSION) != 0;
}

// The bounds of a form that keeps its frame while its client area scales.
TRect ClientScaledBounds(const TRect& AOldBounds, const TRect& AOldClient, int ATargetDPI, int AOldDPI)
{
  const int clientWidth = cxRectGetWidth(AOldClient);
  const int clientHeight = cxRectGetHeight(AOldClient);
  const int width = cxRectGetWidth(AOldBounds) + MulDiv(clientWidth, ATargetDPI, AOldDPI) - clientWidth;
  const int height = cxRectGetHeight(AOldBounds) + MulDiv(clientHeight, ATargetDPI, AOldDPI) - clientHeight;
  return cxRectBounds(AOldBounds.left, AOldBounds.top, width, height);
}

rtl::String StripTrailingDigits(const rtl::String& AName)
{
  std::size_t length = AName.size();
  while (length > 0 && std::iswdigit(AName[length - 1]))
    --length;
  return AName.substr(0, length);
}

TCustomImageList* FindImageList(rtl::TComponent* AOwner, const rtl::String& AName)
{
  rtl::TComponent* component = AOwner->FindComponent(AName);
  return rtl::Is<TCustomImageList>(component) ? static_cast<TCustomImageList*>(component) : nullptr;
}

// The list named ABase with ADPI appended, or ABase itself at 96 DPI.
TCustomImageList* FindImageListForDPI(rtl::TComponent* AOwner, const rtl::String& ABase, int ADPI)
{
  if (TCustomImageList* result = FindImageList(AOwner, rtl::Format(L"%s%d", {ABase, ADPI})))
    return result;
  return ADPI == dxDefaultDPI ? FindImageList(AOwner, ABase) : nullptr;
}

}  // namespace

bool dxGetFormImageListReplacement()
{
  return GImageListReplacement;
}

void dxSetFormImageListReplacement(bool AValue)
{
  GImageListReplacement = AValue;
}

// ---------------------------------------------------------------------------
// TdxFormHelper

bool TdxFormHelper::IsScaleChanging(TControl* AContainer)
{
  for (TControl* control = AContainer; control; control = control->GetParent())
    if (IsScaling(control))
      return true;
  return false;
}

void TdxFormHelper::ScaleComponentsForDpi(rtl::TComponent* AOwner, int ANewPPI)
{
  for (int i = 0; i < AOwner->GetComponentCount(); ++i) {
    rtl::IPtr<IcxScalableComponent> scalable;
    if (rtl::Supports<IcxScalableComponent>(AOwner->GetComponents(i), &scalable))
      scalable->ScaleForPPI(ANewPPI);
  }
}

void TdxFormHelper::ScaleForPPI(TCustomForm* AForm, int ATargetDPI, const TRect* AWindowRect,
                                bool AFromMessageHandler)
{
  const int oldDPI = dxGetFormDPI(AForm);
  if (ATargetDPI == oldDPI || ATargetDPI < 30 || IsScaleChanging(AForm))
    return;

  BeginScaling(AForm);
  const bool redrawLocked = dxOSIsWindowsVistaOrLater && AForm->HandleAllocated() && IsWindowVisible(AForm->GetHandle());
  std::vector<TControl*> lockedControls;
  CollectControls(AForm, lockedControls);
  AForm->Perform(DXM_SCALECHANGING, 0, 0);
  for (TControl* control : lockedControls)
    control->Perform(DXM_SCALECHANGING, 0, 0);
  if (redrawLocked)
    SendMessageW(AForm->GetHandle(), WM_SETREDRAW, FALSE, 0);
  AForm->DisableAlign();
  try {
    const TRect oldBounds = AForm->GetBoundsRect();
    const TRect oldClient = AForm->GetClientRect();
    const bool parentFont = AForm->GetParentFont();
    if (AFromMessageHandler && AWindowRect && AForm->HandleAllocated())
      SendMessageW(AForm->GetHandle(), WM_DPICHANGED, MAKEWPARAM(ATargetDPI, ATargetDPI),
                   reinterpret_cast<LPARAM>(AWindowRect));
    else
      AForm->ScaleForPPI(ATargetDPI);
    AForm->SetParentFont(parentFont);
    AForm->SetPixelsPerInch(ATargetDPI);
    if (AWindowRect)
      AForm->SetBoundsRect(*AWindowRect);
    else if (AForm->GetWindowState() == TWindowState::wsMaximized)
      AForm->SetBoundsRect(oldBounds);
    else
      AForm->SetBoundsRect(ClientScaledBounds(oldBounds, oldClient, ATargetDPI, oldDPI));
  } catch (...) {
    // The end step runs below as well: redraw and alignment come back.
    AForm->EnableAlign();
    if (redrawLocked)
      SendMessageW(AForm->GetHandle(), WM_SETREDRAW, TRUE, 0);
    EndScaling(AForm);
    throw;
  }
  AForm->EnableAlign();
  if (redrawLocked)
    SendMessageW(AForm->GetHandle(), WM_SETREDRAW, TRUE, 0);
  for (auto it = lockedControls.rbegin(); it != lockedControls.rend(); ++it)
    (*it)->Perform(DXM_SCALECHANGED, 0, 0);
  AForm->Perform(DXM_SCALECHANGED, 0, 0);
  if (redrawLocked)
    RedrawWindow(AForm->GetHandle(), nullptr, nullptr, RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
  EndScaling(AForm);
}

bool TdxFormHelper::SetAnimation(bool AValue)
{
  ANIMATIONINFO info{sizeof(ANIMATIONINFO), 0};
  SystemParametersInfoW(SPI_GETANIMATION, sizeof(info), &info, 0);
  const bool result = info.iMinAnimate != 0;
  if (result != AValue) {
    info.iMinAnimate = AValue ? -1 : 0;
    SystemParametersInfoW(SPI_SETANIMATION, sizeof(info), &info, 0);
  }
  return result;
}

LONG TdxFormHelper::LockWindowRedrawing(HWND AWndHandle)
{
  const LONG result = GetWindowLongW(AWndHandle, GWL_STYLE);
  if (!IsRemoteSession())
    SetWindowLongW(AWndHandle, GWL_STYLE, result & ~WS_VISIBLE);
  return result;
}

void TdxFormHelper::UnlockWindowRedrawing(HWND AWndHandle, LONG APrevStyle)
{
  SetWindowLongW(AWndHandle, GWL_STYLE, APrevStyle);
}

void TdxFormHelper::SetWindowTextWithoutRedrawing(HWND AWndHandle, const rtl::String& AText)
{
  const LONG style = LockWindowRedrawing(AWndHandle);
  DefWindowProcW(AWndHandle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(AText.c_str()));
  UnlockWindowRedrawing(AWndHandle, style);
}

// ---------------------------------------------------------------------------
// TdxFormImageListHelper

TCustomImageList* TdxFormImageListHelper::FindReplacement(TCustomImageList* AImages, int ATargetDPI)
{
  const rtl::String base = StripTrailingDigits(AImages->GetName());
  rtl::TComponent* owner = AImages->GetOwner();
  if (base.empty() || !owner)
    return AImages;
  if (TCustomImageList* result = FindImageListForDPI(owner, base, ATargetDPI))
    return result;
  for (auto it = std::rbegin(kImageListDPIs); it != std::rend(kImageListDPIs); ++it)
    if (*it < ATargetDPI)
      if (TCustomImageList* result = FindImageListForDPI(owner, base, *it))
        return result;
  return AImages;
}

TCustomImageList* TdxFormImageListHelper::Replacement(TCustomImageList* AImages)
{
  auto found = FReplacementCache.find(AImages);
  if (found == FReplacementCache.end())
    found = FReplacementCache.emplace(AImages, FindReplacement(AImages, FTargetDPI)).first;
  return found->second;
}

void TdxFormImageListHelper::ProcessObject(rtl::TObject* AObject, int ADepth)
{
  // Persistent parts may refer back to their owner: a bounded depth keeps a
  // cycle from running away.
  if (!AObject || ADepth > 8)
    return;
  for (const rtl::TPropInfo* prop : rtl::GetPropList(AObject, rtl::TTypeKinds{rtl::TTypeKind::tkClass})) {
    rtl::TObject* value = rtl::GetObjectProp(AObject, prop);
    if (rtl::Is<TCustomImageList>(value)) {
      TCustomImageList* replacement = Replacement(static_cast<TCustomImageList*>(value));
      if (replacement != value && prop->Set)
        rtl::SetObjectProp(AObject, prop, replacement);
    } else if (rtl::Is<rtl::TPersistent>(value) && !rtl::Is<rtl::TComponent>(value))
      ProcessObject(value, ADepth + 1);
  }
}

void TdxFormImageListHelper::Execute(int ATargetDPI, rtl::TComponent* AForm)
{
  TdxFormImageListHelper helper(ATargetDPI);
  for (int i = 0; i < AForm->GetComponentCount(); ++i)
    helper.ProcessObject(AForm->GetComponents(i), 0);
}

// ---------------------------------------------------------------------------
// TdxFormScaling

bool TdxFormScaling::IsRightToLeftLayout(TCustomForm* AForm, TdxDefaultBoolean AValue)
{
  return AValue == TdxDefaultBoolean::bTrue ||
         (AValue == TdxDefaultBoolean::bDefault && AForm->UseRightToLeftAlignment());
}

void TdxFormScaling::ApplyRightToLeftLayout(TCustomForm* AForm, bool ARightToLeft)
{
  // The mirrored window mirrors its menus too: they must not mirror again.
  for (int i = 0; i < AForm->GetComponentCount(); ++i)
    if (rtl::Is<TMenu>(AForm->GetComponents(i))) {
      auto* menu = static_cast<TMenu*>(AForm->GetComponents(i));
      if (ARightToLeft)
        menu->SetBiDiMode(TBiDiMode::bdLeftToRight);
      else
        menu->SetParentBiDiMode(true);
    }
  if (AForm->HandleAllocated())
    AForm->RecreateWnd();
}

void TdxFormScaling::AdjustRightToLeftParams(TCreateParams& AParams)
{
  AParams.ExStyle = (AParams.ExStyle | WS_EX_LAYOUTRTL | WS_EX_NOINHERITLAYOUT) & ~kRightToLeftExStyles;
}

int TdxFormScaling::TargetDPI(const TdxScaleFactor* AScaleFactor)
{
  return MulDiv(dxDefaultDPI, AScaleFactor->GetNumerator(), AScaleFactor->GetDenominator());
}

// ---------------------------------------------------------------------------
// TdxCustomForm

void TdxCustomForm::CreateNew(rtl::TComponent* AOwner, int ADummy)
{
  inherited::CreateNew(AOwner, ADummy);
}

void TdxCustomForm::InitializeNewForm()
{
  inherited::InitializeNewForm();
  SetCurrentPPI(GetPixelsPerInch());
  FScaleFactor = rtl::New<TdxScaleFactor>();
  FScaleFactor->Assign(GetPixelsPerInch(), dxDefaultDPI, false);
  FRightToLeftLayout = TdxDefaultBoolean::bDefault;
}

void TdxCustomForm::BeforeDestruction()
{
  inherited::BeforeDestruction();
  cxNotifyOwnerOfRemoval(this);
}

void TdxCustomForm::Destroy()
{
  TdxUIThreadSyncService::Unsubscribe(this);
  inherited::Destroy();
  rtl::FreeAndNil(FScaleFactor);
}

void TdxCustomForm::ScaleBy(int M, int D)
{
  ScaleForPPI(MulDiv(dxGetFormDPI(this), M, D));
}

void TdxCustomForm::ScaleForPPI(int ATargetDPI)
{
  if (TdxFormHelper::IsScaleChanging(this))
    inherited::ScaleForPPI(ATargetDPI);
  else
    ScaleForPPI(ATargetDPI, nullptr);
}

void TdxCustomForm::ScaleForPPI(int ATargetDPI, const TRect* AWindowRect)
{
  TdxFormHelper::ScaleForPPI(this, ATargetDPI, AWindowRect, false);
}

void TdxCustomForm::ChangeScale(int M, int D, bool AIsDpiChange)
{
  FScaleFactor->Change(M, D);
  inherited::ChangeScale(M, D, AIsDpiChange);
  ScaleFactorChanged(M, D);
}

void TdxCustomForm::ScaleControlsForDpi(int ANewPPI)
{
  const int oldDPI = dxGetFormDPI(this);
  DisableAlign();
  try {
    FScaleFactor->Change(ANewPPI, oldDPI);
    inherited::ScaleControlsForDpi(ANewPPI);
    TdxFormHelper::ScaleComponentsForDpi(this, ANewPPI);
    ScaleFactorChanged(ANewPPI, oldDPI);
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
}

void TdxCustomForm::SetParent(TWinControl* AParent)
{
  if (!TcxControlHelper::CanSetParent(this, AParent))
    return;
  inherited::SetParent(AParent);
  TcxControlHelper::UpdateScaleFactorOnParentChange(this);
}

void TdxCustomForm::DoShow()
{
  inherited::DoShow();
  ScaleForCurrentDpi();
}

void TdxCustomForm::ScaleForCurrentDpi()
{
  DisableAlign();
  try {
    if (GetScaled() && !GetComponentState().Contains(rtl::TComponentStateFlag::csDesigning) && !GetParent())
      ScaleForPPI(dxGetControlDPI(this));
    Perform(rtl::CM_PARENTBIDIMODECHANGED, 0, 0);
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
}

void TdxCustomForm::ScaleFactorChanged(int, int)
{
  ScaleImageLists();
}

void TdxCustomForm::ScaleImageLists()
{
  if (dxGetFormImageListReplacement())
    TdxFormImageListHelper::Execute(TdxFormScaling::TargetDPI(FScaleFactor), this);
}

void TdxCustomForm::WMDpiChanged(rtl::TMessage& AMessage)
{
  if (TdxFormHelper::IsScaleChanging(this))
    inherited::WMDpiChanged(AMessage);
  else if (GetScaled())
    TdxFormHelper::ScaleForPPI(this, HIWORD(AMessage.WParam), reinterpret_cast<const TRect*>(AMessage.LParam),
                               true);
}

void TdxCustomForm::SetRightToLeftLayout(TdxDefaultBoolean AValue)
{
  FRightToLeftLayout = AValue;
  if (TdxFormScaling::IsRightToLeftLayout(this, FRightToLeftLayout) != FRightToLeftApplied)
    ApplyRightToLeftLayout();
}

void TdxCustomForm::ApplyRightToLeftLayout()
{
  FRightToLeftApplied = TdxFormScaling::IsRightToLeftLayout(this, FRightToLeftLayout);
  TdxFormScaling::ApplyRightToLeftLayout(this, FRightToLeftApplied);
}

void TdxCustomForm::CreateParams(TCreateParams& AParams)
{
  inherited::CreateParams(AParams);
  if (FRightToLeftApplied)
    TdxFormScaling::AdjustRightToLeftParams(AParams);
}

TPoint TdxCustomForm::GetClientOrigin()
{
  TPoint result = inherited::GetClientOrigin();
  if (FRightToLeftApplied)
    result.x -= GetClientWidth();
  return result;
}

void TdxCustomForm::CMBiDiModeChanged(rtl::TMessage& AMessage)
{
  inherited::CMBiDiModeChanged(AMessage);
  if (TdxFormScaling::IsRightToLeftLayout(this, FRightToLeftLayout) == FRightToLeftApplied)
    return;
  // Recreating the window while it is being shown would lose the showing.
  if (GetShowing())
    TdxUIThreadSyncService::EnqueueInvokeInUIThread(this, [this] { ApplyRightToLeftLayout(); });
  else
    ApplyRightToLeftLayout();
}

// ---------------------------------------------------------------------------
// TdxForm

void TdxForm::InitializeNewForm()
{
  inherited::InitializeNewForm();
  SetCurrentPPI(GetPixelsPerInch());
  FScaleFactor = rtl::New<TdxScaleFactor>();
  FScaleFactor->Assign(GetPixelsPerInch(), dxDefaultDPI, false);
  FRightToLeftLayout = TdxDefaultBoolean::bDefault;
}

void TdxForm::BeforeDestruction()
{
  inherited::BeforeDestruction();
  cxNotifyOwnerOfRemoval(this);
}

void TdxForm::Destroy()
{
  TdxUIThreadSyncService::Unsubscribe(this);
  inherited::Destroy();
  rtl::FreeAndNil(FScaleFactor);
}

void TdxForm::ScaleBy(int M, int D)
{
  ScaleForPPI(MulDiv(dxGetFormDPI(this), M, D));
}

void TdxForm::ScaleForPPI(int ATargetDPI)
{
  if (TdxFormHelper::IsScaleChanging(this))
    inherited::ScaleForPPI(ATargetDPI);
  else
    ScaleForPPI(ATargetDPI, nullptr);
}

void TdxForm::ScaleForPPI(int ATargetDPI, const TRect* AWindowRect)
{
  TdxFormHelper::ScaleForPPI(this, ATargetDPI, AWindowRect, false);
}

void TdxForm::ChangeScale(int M, int D, bool AIsDpiChange)
{
  FScaleFactor->Change(M, D);
  inherited::ChangeScale(M, D, AIsDpiChange);
  TdxFormHelper::ScaleComponentsForDpi(this, MulDiv(dxGetFormDPI(this), M, D));
  ScaleFactorChanged(M, D);
}

void TdxForm::ScaleControlsForDpi(int ANewPPI)
{
  const int oldDPI = dxGetFormDPI(this);
  DisableAlign();
  try {
    FScaleFactor->Change(ANewPPI, oldDPI);
    inherited::ScaleControlsForDpi(ANewPPI);
    TdxFormHelper::ScaleComponentsForDpi(this, ANewPPI);
    ScaleFactorChanged(ANewPPI, oldDPI);
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
}

void TdxForm::SetParent(TWinControl* AParent)
{
  if (!TcxControlHelper::CanSetParent(this, AParent))
    return;
  inherited::SetParent(AParent);
  TcxControlHelper::UpdateScaleFactorOnParentChange(this);
}

void TdxForm::DoShow()
{
  inherited::DoShow();
  ScaleForCurrentDpi();
}

void TdxForm::ScaleForCurrentDpi()
{
  DisableAlign();
  try {
    if (GetScaled() && !GetComponentState().Contains(rtl::TComponentStateFlag::csDesigning) && !GetParent())
      ScaleForPPI(dxGetControlDPI(this));
    Perform(rtl::CM_PARENTBIDIMODECHANGED, 0, 0);
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
}

void TdxForm::ScaleFactorChanged(int, int)
{
  ScaleImageLists();
}

void TdxForm::ScaleImageLists()
{
  if (dxGetFormImageListReplacement())
    TdxFormImageListHelper::Execute(TdxFormScaling::TargetDPI(FScaleFactor), this);
}

void TdxForm::WMDpiChanged(rtl::TMessage& AMessage)
{
  using enum rtl::TComponentStateFlag;
  if (TdxFormHelper::IsScaleChanging(this)) {
    inherited::WMDpiChanged(AMessage);
    return;
  }
  AMessage.Result = 0;
  if (GetComponentState().Contains(csLoading) || GetComponentState().Contains(csDesigning))
    return;
  int dpi = HIWORD(AMessage.WParam);
  if (dpi == 0 || !GetScaled()) {
    TCustomForm* mainForm = Application()->GetMainForm();
    if (!mainForm || !mainForm->GetScaled())
      return;
    dpi = mainForm->GetPixelsPerInch();
  }
  if (dpi != dxGetFormDPI(this) && GetScaled())
    TdxFormHelper::ScaleForPPI(this, dpi, reinterpret_cast<const TRect*>(AMessage.LParam), true);
}

void TdxForm::SetRightToLeftLayout(TdxDefaultBoolean AValue)
{
  FRightToLeftLayout = AValue;
  if (TdxFormScaling::IsRightToLeftLayout(this, FRightToLeftLayout) != FRightToLeftApplied)
    ApplyRightToLeftLayout();
}

void TdxForm::ApplyRightToLeftLayout()
{
  FRightToLeftApplied = TdxFormScaling::IsRightToLeftLayout(this, FRightToLeftLayout);
  TdxFormScaling::ApplyRightToLeftLayout(this, FRightToLeftApplied);
}

void TdxForm::CreateParams(TCreateParams& AParams)
{
  inherited::CreateParams(AParams);
  if (FRightToLeftApplied)
    TdxFormScaling::AdjustRightToLeftParams(AParams);
}

TPoint TdxForm::GetClientOrigin()
{
  TPoint result = inherited::GetClientOrigin();
  if (FRightToLeftApplied)
    result.x -= GetClientWidth();
  return result;
}

void TdxForm::CMBiDiModeChanged(rtl::TMessage& AMessage)
{
  inherited::CMBiDiModeChanged(AMessage);
  if (TdxFormScaling::IsRightToLeftLayout(this, FRightToLeftLayout) == FRightToLeftApplied)
    return;
  if (GetShowing())
    TdxUIThreadSyncService::EnqueueInvokeInUIThread(this, [this] { ApplyRightToLeftLayout(); });
  else
    ApplyRightToLeftLayout();
}

// ---------------------------------------------------------------------------

HICON dxCopyWindowIcon(HWND AWnd, int ACX, int ACY)
{
  auto icon = reinterpret_cast<HICON>(SendMessageW(AWnd, WM_GETICON, ICON_SMALL, 0));
  if (!icon)
    icon = reinterpret_cast<HICON>(SendMessageW(AWnd, WM_GETICON, ICON_BIG, 0));
  if (!icon)
    return nullptr;
  return static_cast<HICON>(CopyImage(icon, IMAGE_ICON, ACX, ACY, LR_COPYFROMRESOURCE));
}
