#include "controls/dxForms.h"

#include <algorithm>
#include <cwctype>
#include <exception>
#include <map>
#include <vector>

#include "controls/cxControls.h"
#include "controls/cxWindowProcs.h"
#include "core/dxHooks.h"
#include "controls/dxSystemInfo.h"
#include "core/cxClassesComponents.h"
#include "core/cxGeometry.h"
#include "core/dxThreading.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/TypInfo.h"
#include "platform/vcl/GraphicsHandles.h"
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

// Runs AProc with the control's alignment held; the closing EnableAlign
// realigns and may raise itself, so it is not run from a destructor.
template <class F>
void WithAlignDisabled(TWinControl* AControl, F AProc)
{
  AControl->DisableAlign();
  try {
    AProc();
  } catch (...) {
    AControl->EnableAlign();
    throw;
  }
  AControl->EnableAlign();
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

// Every child, the last one included: a flag left on a control would make
// its next scaling while it is read skip or repeat values.
void TdxFormHelper::ResetScalingFlags(TControl* AControl)
{
  AControl->SetScalingFlags({});
  if (!rtl::Is<TWinControl>(AControl))
    return;
  auto* container = static_cast<TWinControl*>(AControl);
  for (int i = 0; i < container->GetControlCount(); ++i)
    ResetScalingFlags(container->GetControls(i));
}

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

namespace {

// The state of one running scale change.
struct TdxFormScaleChange {
  TCustomForm* Form;
  bool RedrawLocked;
  std::vector<TControl*> LockedControls;
};

void BeginScaleChange(TdxFormScaleChange& AChange)
{
  TCustomForm* form = AChange.Form;
  BeginScaling(form);
  AChange.RedrawLocked = dxOSIsWindowsVistaOrLater && form->HandleAllocated() && IsWindowVisible(form->GetHandle());
  CollectControls(form, AChange.LockedControls);
  form->Perform(DXM_SCALECHANGING, 0, 0);
  for (TControl* control : AChange.LockedControls)
    control->Perform(DXM_SCALECHANGING, 0, 0);
  if (AChange.RedrawLocked)
    SendMessageW(form->GetHandle(), WM_SETREDRAW, FALSE, 0);
  form->DisableAlign();
}

// Every step runs, also when realigning raises: otherwise the form would stay
// listed as scaling (ignoring every later DPI change), its window would not
// redraw and its controls would wait for an end that never comes. The
// realignment's exception is raised once all is released.
void EndScaleChange(TdxFormScaleChange& AChange)
{
  TCustomForm* form = AChange.Form;
  std::exception_ptr alignError;
  try {
    form->EnableAlign();
  } catch (...) {
    alignError = std::current_exception();
  }
  if (AChange.RedrawLocked)
    SendMessageW(form->GetHandle(), WM_SETREDRAW, TRUE, 0);
  for (auto it = AChange.LockedControls.rbegin(); it != AChange.LockedControls.rend(); ++it)
    (*it)->Perform(DXM_SCALECHANGED, 0, 0);
  form->Perform(DXM_SCALECHANGED, 0, 0);
  if (AChange.RedrawLocked)
    RedrawWindow(form->GetHandle(), nullptr, nullptr, RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
  EndScaling(form);
  if (alignError)
    std::rethrow_exception(alignError);
}

void ScaleForm(TCustomForm* AForm, int ATargetDPI, int AOldDPI, const TRect* AWindowRect, bool AFromMessageHandler)
{
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
    AForm->SetBoundsRect(ClientScaledBounds(oldBounds, oldClient, ATargetDPI, AOldDPI));
}

}  // namespace

void TdxFormHelper::ScaleForPPI(TCustomForm* AForm, int ATargetDPI, const TRect* AWindowRect,
                                bool AFromMessageHandler)
{
  const int oldDPI = dxGetFormDPI(AForm);
  if (ATargetDPI == oldDPI || ATargetDPI < 30 || IsScaleChanging(AForm))
    return;
  TdxFormScaleChange change{AForm, false, {}};
  BeginScaleChange(change);
  try {
    ScaleForm(AForm, ATargetDPI, oldDPI, AWindowRect, AFromMessageHandler);
  } catch (...) {
    EndScaleChange(change);
    throw;
  }
  EndScaleChange(change);
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

void TdxFormHelper::RepaintVisibleWindowArea(HWND AHandle, TRect& APrevVisibleRegion)
{
  RECT windowRect{};
  if (!GetWindowRect(AHandle, &windowRect))
    return;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (!GetMonitorInfoW(MonitorFromWindow(AHandle, MONITOR_DEFAULTTONEAREST), &monitor))
    return;
  TRect visible;
  if (!IntersectRect(&visible, &windowRect, &monitor.rcWork))
    visible = TRect{};
  else
    OffsetRect(&visible, -windowRect.left, -windowRect.top);
  if (EqualRect(&visible, &APrevVisibleRegion))
    return;
  TOwnedRegion exposed(CreateRectRgnIndirect(&visible));
  TOwnedRegion previous(CreateRectRgnIndirect(&APrevVisibleRegion));
  APrevVisibleRegion = visible;
  if (CombineRgn(exposed.Get(), exposed.Get(), previous.Get(), RGN_DIFF) > NULLREGION)
    RedrawWindow(AHandle, nullptr, exposed.Get(), RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
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
// TdxFormRightToLeftLayoutHelper

void TdxFormRightToLeftLayoutHelper::RemoveBiDiModeStyles(TCustomForm* AForm)
{
  if (!AForm->HandleAllocated())
    return;
  const HWND window = AForm->GetHandle();
  SetWindowLongW(window, GWL_EXSTYLE, GetWindowLongW(window, GWL_EXSTYLE) & ~kRightToLeftExStyles);
}

// ---------------------------------------------------------------------------
// TdxScalableForm

template <class TFormBase>
void TdxScalableForm<TFormBase>::InitializeNewForm()
{
  inherited::InitializeNewForm();
  this->SetCurrentPPI(this->GetPixelsPerInch());
  FScaleFactor = rtl::New<TdxScaleFactor>();
  FScaleFactor->Assign(this->GetPixelsPerInch(), dxDefaultDPI, false);
  FRightToLeftLayout = TdxDefaultBoolean::bDefault;
}

template <class TFormBase>
void TdxScalableForm<TFormBase>::BeforeDestruction()
{
  inherited::BeforeDestruction();
  cxNotifyOwnerOfRemoval(this);
}

template <class TFormBase>
void TdxScalableForm<TFormBase>::Destroy()
{
  TdxUIThreadSyncService::Unsubscribe(this);
  inherited::Destroy();
  rtl::FreeAndNil(FScaleFactor);
}

template <class TFormBase>
void TdxScalableForm<TFormBase>::ScaleBy(int M, int D)
{
  ScaleForPPI(MulDiv(dxGetFormDPI(this), M, D));
}

template <class TFormBase>
void TdxScalableForm<TFormBase>::ScaleForPPI(int ATargetDPI)
{
  if (TdxFormHelper::IsScaleChanging(this))
    inherited::ScaleForPPI(ATargetDPI);
  else
    ScaleForPPI(ATargetDPI, nullptr);
}

template <class TFormBase>
void TdxScalableForm<TFormBase>::ScaleForPPI(int ATargetDPI, const TRect* AWindowRect)
{
  TdxFormHelper::ScaleForPPI(this, ATargetDPI, AWindowRect, false);
}

template <class TFormBase>
void TdxScalableForm<TFormBase>::ChangeScale(int M, int D, bool AIsDpiChange)
{
  FScaleFactor->Change(M, D);
  inherited::ChangeScale(M, D, AIsDpiChange);
  if constexpr (IsForm)
    TdxFormHelper::ScaleComponentsForDpi(this, MulDiv(dxGetFormDPI(this), M, D));
  ScaleFactorChanged(M, D);
}

template <class TFormBase>
void TdxScalableForm<TFormBase>::ScaleControlsForDpi(int ANewPPI)
{
  const int oldDPI = dxGetFormDPI(this);
  WithAlignDisabled(this, [&] {
    FScaleFactor->Change(ANewPPI, oldDPI);
    inherited::ScaleControlsForDpi(ANewPPI);
    TdxFormHelper::ScaleComponentsForDpi(this, ANewPPI);
    ScaleFactorChanged(ANewPPI, oldDPI);
  });
}

template <class TFormBase>
void TdxScalableForm<TFormBase>::SetParent(TWinControl* AParent)
{
  if (!TcxControlHelper::CanSetParent(this, AParent))
    return;
  inherited::SetParent(AParent);
  TcxControlHelper::UpdateScaleFactorOnParentChange(this);
}

template <class TFormBase>
void TdxScalableForm<TFormBase>::DoShow()
{
  inherited::DoShow();
  ScaleForCurrentDpi();
}

template <class TFormBase>
void TdxScalableForm<TFormBase>::ScaleForCurrentDpi()
{
  WithAlignDisabled(this, [&] {
    if (this->GetScaled() && !this->GetComponentState().Contains(rtl::TComponentStateFlag::csDesigning) &&
        !this->GetParent())
      ScaleForPPI(dxGetControlDPI(this));
    TdxFormHelper::ResetScalingFlags(this);
    this->Perform(rtl::CM_PARENTBIDIMODECHANGED, 0, 0);
  });
}

template <class TFormBase>
void TdxScalableForm<TFormBase>::ScaleFactorChanged(int, int)
{
  ScaleImageLists();
}

template <class TFormBase>
void TdxScalableForm<TFormBase>::ScaleImageLists()
{
  if (dxGetFormImageListReplacement())
    TdxFormImageListHelper::Execute(dxGetTargetDPI(FScaleFactor), this);
}

template <class TFormBase>
void TdxScalableForm<TFormBase>::WMDpiChanged(rtl::TMessage& AMessage)
{
  if (TdxFormHelper::IsScaleChanging(this)) {
    inherited::WMDpiChanged(AMessage);
    return;
  }
  const auto* windowRect = reinterpret_cast<const TRect*>(AMessage.LParam);
  int dpi = HIWORD(AMessage.WParam);
  if constexpr (IsForm) {
    // A form being read or designed keeps the DPI it is laid out at; a form
    // that does not scale follows the main form when that one does.
    using enum rtl::TComponentStateFlag;
    AMessage.Result = 0;
    if (this->GetComponentState().Contains(csLoading) || this->GetComponentState().Contains(csDesigning))
      return;
    if (dpi == 0 || !this->GetScaled()) {
      TCustomForm* mainForm = Application()->GetMainForm();
      if (!mainForm || !mainForm->GetScaled())
        return;
      dpi = mainForm->GetPixelsPerInch();
    }
    if (dpi != dxGetFormDPI(this) && this->GetScaled())
      TdxFormHelper::ScaleForPPI(this, dpi, windowRect, true);
  } else if (this->GetScaled())
    TdxFormHelper::ScaleForPPI(this, dpi, windowRect, true);
}

template <class TFormBase>
bool TdxScalableForm<TFormBase>::IsRightToLeftLayout()
{
  return FRightToLeftLayout == TdxDefaultBoolean::bTrue ||
         (FRightToLeftLayout == TdxDefaultBoolean::bDefault && this->UseRightToLeftAlignment());
}

template <class TFormBase>
void TdxScalableForm<TFormBase>::SetRightToLeftLayout(TdxDefaultBoolean AValue)
{
  FRightToLeftLayout = AValue;
  if (IsRightToLeftLayout() != FRightToLeftApplied)
    ApplyRightToLeftLayout();
}

template <class TFormBase>
void TdxScalableForm<TFormBase>::ApplyRightToLeftLayout()
{
  FRightToLeftApplied = IsRightToLeftLayout();
  // The mirrored window mirrors its menus too: they must not mirror again.
  for (int i = 0; i < this->GetComponentCount(); ++i)
    if (rtl::Is<TMenu>(this->GetComponents(i))) {
      auto* menu = static_cast<TMenu*>(this->GetComponents(i));
      if (FRightToLeftApplied)
        menu->SetBiDiMode(TBiDiMode::bdLeftToRight);
      else
        menu->SetParentBiDiMode(true);
    }
  if (this->HandleAllocated())
    this->RecreateWnd();
}

template <class TFormBase>
void TdxScalableForm<TFormBase>::CreateParams(TCreateParams& AParams)
{
  inherited::CreateParams(AParams);
  if (FRightToLeftApplied)
    AParams.ExStyle = (AParams.ExStyle | WS_EX_LAYOUTRTL | WS_EX_NOINHERITLAYOUT) & ~kRightToLeftExStyles;
}

template <class TFormBase>
TPoint TdxScalableForm<TFormBase>::GetClientOrigin()
{
  TPoint result = inherited::GetClientOrigin();
  if (FRightToLeftApplied)
    result.x -= this->GetClientWidth();
  return result;
}

template <class TFormBase>
void TdxScalableForm<TFormBase>::CMBiDiModeChanged(rtl::TMessage& AMessage)
{
  inherited::CMBiDiModeChanged(AMessage);
  if (IsRightToLeftLayout() == FRightToLeftApplied)
    return;
  // Recreating the window while it is being shown would lose the showing.
  if (this->GetShowing())
    TdxUIThreadSyncService::EnqueueInvokeInUIThread(this, [this] { ApplyRightToLeftLayout(); });
  else
    ApplyRightToLeftLayout();
}

template class TdxScalableForm<TCustomForm>;
template class TdxScalableForm<TForm>;

void TdxCustomFloatForm::CreateNew(rtl::TComponent* AOwner, int ADummy)
{
  inherited::CreateNew(AOwner, ADummy);
  SetDefaultMonitor(TDefaultMonitor::dmDesktop);
}

// ---------------------------------------------------------------------------
// Frames

namespace {

bool GFrameDPIControlDisabled = false;

// The controllers by frame (owned) and the component that hears of the
// frames' going; both live from the unit's start to its finish.
struct TdxFrameControllers {
  std::map<TFrame*, TdxFrameController*> Controllers;
  TdxFrameControllerManager* Listener = nullptr;
};
TdxFrameControllers* GFrameControllers = nullptr;

TFrame* FrameOf(HWND AWnd)
{
  TWinControl* control = FindControl(AWnd);
  return rtl::Is<TFrame>(control) ? static_cast<TFrame*>(control) : nullptr;
}

void RemoveController(TFrame* AFrame)
{
  auto found = GFrameControllers->Controllers.find(AFrame);
  if (found == GFrameControllers->Controllers.end())
    return;
  TdxFrameController* controller = found->second;
  GFrameControllers->Controllers.erase(found);
  rtl::Free(controller);
}

}  // namespace

bool dxGetFrameDPIControlDisabled()
{
  return GFrameDPIControlDisabled;
}

void dxSetFrameDPIControlDisabled(bool AValue)
{
  GFrameDPIControlDisabled = AValue;
}

void TdxFrameController::Create(TFrame* AFrame)
{
  inherited::Create();
  FFrame = AFrame;
  if (TcxWindowProcController* controller = cxGetWindowProcController())
    FWindowProcObject = controller->Add(FFrame, rtl::TWndMethod::Bind<&TdxFrameController::WndProc>(this));
  Apply(ParentDPI(), true);
}

void TdxFrameController::Destroy()
{
  if (FWindowProcObject)
    if (TcxWindowProcController* controller = cxGetWindowProcController())
      controller->Remove(FWindowProcObject);
  inherited::Destroy();
}

int TdxFrameController::GetCurrentPPI() const
{
  return FFrame->GetCurrentPPI();
}

void TdxFrameController::SetCurrentPPI(int AValue)
{
  FFrame->SetCurrentPPI(AValue);
}

int TdxFrameController::ParentDPI() const
{
  int numerator = 0;
  int denominator = 0;
  if (FFrame->GetParent() && dxFindDPIScale(FFrame->GetParent(), numerator, denominator) && denominator > 0)
    return MulDiv(dxDefaultDPI, numerator, denominator);
  return dxDefaultDPI;
}

void TdxFrameController::Apply(int APPI, bool AScale)
{
  if (AScale && !FFrame->GetComponentState().Contains(rtl::TComponentStateFlag::csLoading)) {
    const bool parentFont = FFrame->GetParentFont();
    FFrame->ScaleForPPI(APPI);
    // The frame's own scaling leaves a parent font alone: it takes the
    // parent's, which is at the parent's DPI already.
    if (parentFont)
      FFrame->Perform(rtl::CM_PARENTFONTCHANGED, 0, 0);
  }
  SetCurrentPPI(APPI);
  TdxFormHelper::ScaleComponentsForDpi(FFrame, APPI);
}

// The frame handles the message first; the DPI is applied after it. A
// parent's font change needs nothing more: the frame's own handler takes the
// parent's font when ParentFont is set, and sending the message again from
// here would come straight back.
void TdxFrameController::WndProc(rtl::TMessage& AMessage)
{
  FWindowProcObject->DefaultProc(AMessage);
  switch (AMessage.Msg) {
    case WM_CREATE:
      Apply(ParentDPI(), true);
      break;
    case DXM_SCALECHANGED:
      Apply(ParentDPI(), false);
      break;
    default:
      break;
  }
}

void TdxFrameControllerManager::Register(HWND AWnd)
{
  if (!GFrameControllers || !AWnd)
    return;
  DWORD process = 0;
  GetWindowThreadProcessId(AWnd, &process);
  if (process != GetCurrentProcessId())
    return;
  TFrame* frame = FrameOf(AWnd);
  if (!frame || rtl::Supports<IdxScaleFactor>(frame) || GFrameControllers->Controllers.contains(frame) ||
      frame->GetComponentState().Contains(rtl::TComponentStateFlag::csDesigning))
    return;
  frame->FreeNotification(GFrameControllers->Listener);
  GFrameControllers->Controllers.emplace(frame, nullptr);
  try {
    GFrameControllers->Controllers[frame] = rtl::New<TdxFrameController>(frame);
  } catch (...) {
    GFrameControllers->Controllers.erase(frame);
    frame->RemoveFreeNotification(GFrameControllers->Listener);
    throw;
  }
}

void TdxFrameControllerManager::Unregister(HWND AWnd)
{
  if (!GFrameControllers)
    return;
  if (TFrame* frame = FrameOf(AWnd)) {
    frame->RemoveFreeNotification(GFrameControllers->Listener);
    RemoveController(frame);
  }
}

TdxFrameController* TdxFrameControllerManager::GetController(TFrame* AFrame)
{
  if (!GFrameControllers)
    return nullptr;
  auto found = GFrameControllers->Controllers.find(AFrame);
  return found != GFrameControllers->Controllers.end() ? found->second : nullptr;
}

void TdxFrameControllerManager::Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation)
{
  inherited::Notification(AComponent, AOperation);
  if (AOperation == rtl::TOperation::opRemove && GFrameControllers && rtl::Is<TFrame>(AComponent))
    RemoveController(static_cast<TFrame*>(AComponent));
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

// ---------------------------------------------------------------------------
// The frame hook

namespace {

// Every window created in the thread may be a frame's.
void dxFormsWndProcHook(int ACode, WPARAM /*AWParam*/, LPARAM ALParam, LRESULT& /*AHookResult*/)
{
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(ALParam);
  if (ACode == HC_ACTION && message && message->message == WM_CREATE && !GFrameDPIControlDisabled)
    TdxFrameControllerManager::Register(message->hwnd);
}

void dxFormsInitialization()
{
  GFrameControllers = new TdxFrameControllers;
  GFrameControllers->Listener = rtl::New<TdxFrameControllerManager>(nullptr);
  dxInstallHook(htWndProc, &dxFormsWndProcHook);
}

void dxFormsFinalization()
{
  dxRemoveHook(&dxFormsWndProcHook);
  for (auto& [frame, controller] : GFrameControllers->Controllers) {
    frame->RemoveFreeNotification(GFrameControllers->Listener);
    rtl::Free(controller);
  }
  rtl::Free(GFrameControllers->Listener);
  delete GFrameControllers;
  GFrameControllers = nullptr;
}

}  // namespace

RTL_UNIT(dxForms, &dxFormsInitialization, &dxFormsFinalization);
