// The skin controller component, the engine's lists, hook and start-up, and
// the base window controller.
#include "skins/dxSkinsForm.h"

#include <commctrl.h>

#include "controls/cxControls.h"
#include "controls/cxWindowProcs.h"
#include "controls/cxWindowUtils.h"
#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "core/dxHooks.h"
#include "platform/rtl/ClassesThreads.h"
#include "platform/vcl/StdCtrls.h"
#include "skins/dxSkinsLookAndFeelPainter.h"

namespace {

using TSetScrollPosFunc = int(WINAPI*)(HWND, int, int, BOOL);
using TSetScrollInfoFunc = int(WINAPI*)(HWND, int, const SCROLLINFO*, BOOL);

// The engine's process-wide state: plain pointers, set by the start-up and
// cleared by the shut-down.
struct TdxSkinEngineState {
  int InitCount;
  TdxSkinControllerClassChooser ClassChooser;
  TdxSkinControllersList* Controllers;
  TdxSkinSkinnedControlsControllers* SkinnedControllers;
  TdxSkinWinControllerHelper* Helper;
  TSetScrollPosFunc SavedSetScrollPos;
  TSetScrollInfoFunc SavedSetScrollInfo;
};

constinit TdxSkinEngineState EngineState{};

bool IsApplicationDestroying()
{
  vcl::TApplication* application = vcl::detail::ExistingApplication();
  return application && application->GetComponentState().Contains(rtl::TComponentStateFlag::csDestroying);
}

// The top-most parent form of a control.
vcl::TCustomForm* TopParentForm(vcl::TControl* AControl)
{
  vcl::TCustomForm* result = nullptr;
  for (vcl::TControl* control = AControl; control; control = control->GetParent())
    if (rtl::Is<vcl::TCustomForm>(control))
      result = static_cast<vcl::TCustomForm*>(control);
  return result;
}

bool IsControllerDestroying(TdxSkinController* AController)
{
  return AController->GetComponentState().Contains(rtl::TComponentStateFlag::csDestroying);
}

rtl::String WindowClassName(HWND AHandle)
{
  wchar_t name[64]{};
  if (!AHandle || GetClassNameW(AHandle, name, static_cast<int>(std::size(name))) == 0)
    return rtl::String();
  return name;
}

// Sees every message sent to a window of the main thread before the
// window's procedure; never changes the message.
void dxSkinWndProcHook(int ACode, WPARAM /*AWParam*/, LPARAM ALParam, LRESULT& /*AHookResult*/)
{
  if (ACode != HC_ACTION || !ALParam || !EngineState.Helper)
    return;
  const auto& message = *reinterpret_cast<const CWPSTRUCT*>(ALParam);
  switch (message.message) {
    case WM_CREATE:
    case WM_MDICREATE:
      EngineState.Helper->InitializeEngine(message.hwnd);
      break;
    case WM_DESTROY:
    case WM_MDIDESTROY:
      if (message.wParam == 0)
        EngineState.Helper->FinalizeEngine(message.hwnd);
      break;
    case WM_CHILDACTIVATE:
    case WM_MDIACTIVATE:
      EngineState.Helper->ChildChanged(message.hwnd);
      break;
    case SKM_REFRESH:
      if (EngineState.SkinnedControllers)
        EngineState.SkinnedControllers->Refresh(message.hwnd);
      break;
    default:
      break;
  }
}

// The framework's scroll-bar entry: the flat one of the common controls
// when they are loaded, else the plain one.
template <class F>
F FlatScrollBarEntry(const char* AFlatName, F APlain)
{
  if (HMODULE comctl = GetModuleHandleW(L"comctl32.dll"))
    if (auto flat = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(comctl, AFlatName))))
      return flat;
  return APlain;
}

void dxSkinsFormInitialization()
{
  if (EngineState.InitCount++ > 0)
    return;
  EngineState.ClassChooser = &dxSkinDefaultControllerClassChooser;
  EngineState.SavedSetScrollPos = FlatScrollBarEntry<TSetScrollPosFunc>("FlatSB_SetScrollPos", &SetScrollPos);
  EngineState.SavedSetScrollInfo = FlatScrollBarEntry<TSetScrollInfoFunc>("FlatSB_SetScrollInfo", &SetScrollInfo);
  EngineState.Controllers = rtl::New<TdxSkinControllersList>();
  EngineState.Helper = rtl::New<TdxSkinWinControllerHelper>();
  dxInstallHook(htWndProc, &dxSkinWndProcHook);
  EngineState.SkinnedControllers = rtl::New<TdxSkinSkinnedControlsControllers>(true);
}

void dxSkinsFormFinalization()
{
  if (EngineState.InitCount == 0 || --EngineState.InitCount > 0)
    return;
  EngineState.SavedSetScrollPos = nullptr;
  EngineState.SavedSetScrollInfo = nullptr;
  dxRemoveHook(&dxSkinWndProcHook);
  if (EngineState.SkinnedControllers)
    EngineState.SkinnedControllers->Clear();
  rtl::FreeAndNil(EngineState.Controllers);
  rtl::FreeAndNil(EngineState.SkinnedControllers);
  rtl::FreeAndNil(EngineState.Helper);
}

}  // namespace

RTL_UNIT(dxSkinsForm, &dxSkinsFormInitialization, &dxSkinsFormFinalization);

TdxSkinControllersList* dxSkinControllers()
{
  return EngineState.Controllers;
}

TdxSkinSkinnedControlsControllers* dxSkinnedControllers()
{
  return EngineState.SkinnedControllers;
}

TdxSkinWinControllerHelper* dxSkinEngineHelper()
{
  return EngineState.Helper;
}

TdxSkinControllerClassChooser dxSkinGetControllerClassChooser()
{
  return EngineState.ClassChooser;
}

void dxSkinSetControllerClassChooser(TdxSkinControllerClassChooser AChooser)
{
  EngineState.ClassChooser = AChooser;
}

int WINAPI dxSkinFlatSBSetScrollPos(HWND hWnd, int nBar, int nPos, BOOL bRedraw)
{
  const TSetScrollPosFunc entry = EngineState.SavedSetScrollPos ? EngineState.SavedSetScrollPos : &SetScrollPos;
  return entry(hWnd, nBar, nPos, bRedraw && !TdxSkinWinController::IsSkinActive(hWnd));
}

int WINAPI dxSkinFlatSBSetScrollInfo(HWND hWnd, int nBar, const SCROLLINFO* AScrollInfo, BOOL bRedraw)
{
  const TSetScrollInfoFunc entry = EngineState.SavedSetScrollInfo ? EngineState.SavedSetScrollInfo : &SetScrollInfo;
  return entry(hWnd, nBar, AScrollInfo, bRedraw && !TdxSkinWinController::IsSkinActive(hWnd));
}

// ---------------------------------------------------------------------------
// Choosing the controller class

TdxSkinWinControllerClass dxSkinDefaultControllerClassChooser(HWND AHandle)
{
  if (TdxSkinWinController::IsMDIClientWindow(AHandle))
    return TdxSkinWinControllerClass::Of<TdxSkinFormMDIClientController>();
  vcl::TWinControl* control = cxFindControlByWindow(AHandle);
  bool qualifies = control != nullptr;
  if (control) {
    rtl::IPtr<IdxSkinSupport2> support;
    if (rtl::Supports<IdxSkinSupport2>(control, &support))
      qualifies = support->IsSkinnable();
  }
  if (!qualifies)
    return nullptr;
  // The last holding test wins. The framework has no frame, check-box,
  // radio-button or panel class yet: those controls keep their own look.
  TdxSkinWinControllerClass result;
  if (rtl::Is<vcl::TCustomForm>(control))
    result = TdxSkinWinControllerClass::Of<TdxSkinFormController>();
  if (control->ClassType() == vcl::TButton::StaticClass())
    result = TdxSkinWinControllerClass::Of<TdxSkinButtonController>();
  return result;
}

TdxSkinWinControllerClass dxSkinGetControllerClass(HWND AHandle)
{
  if (!cxIsWindowOfCurrentProcess(AHandle) || !EngineState.ClassChooser)
    return nullptr;
  return EngineState.ClassChooser(AHandle);
}

// ---------------------------------------------------------------------------
// TdxSkinController

void TdxSkinController::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  if (dxSkinControllers())
    dxSkinControllers()->Add(this);
  Refresh();
}

void TdxSkinController::Destroy()
{
  // Already marked as being destroyed: it takes part in no decision now.
  Refresh();
  if (dxSkinControllers())
    dxSkinControllers()->Remove(this);
  inherited::Destroy();
}

void TdxSkinController::Loaded()
{
  inherited::Loaded();
  Refresh();
}

void TdxSkinController::HandleRootChanged()
{
  inherited::HandleRootChanged();
  Refresh();
}

void TdxSkinController::HandleRootDestroying()
{
  inherited::HandleRootDestroying();
  Refresh();
}

void TdxSkinController::Refresh(vcl::TWinControl* AControl)
{
  if (IsApplicationDestroying() || !dxSkinnedControllers())
    return;
  if (AControl)
    dxSkinnedControllers()->Refresh(AControl);
  else
    dxSkinnedControllers()->Refresh();
}

bool TdxSkinController::GetFormSkin(vcl::TCustomForm* AForm, rtl::String& ASkinName)
{
  if (!AForm || !dxSkinnedControllers())
    return false;
  TdxSkinWinController* controller = dxSkinnedControllers()->GetControllerByControl(AForm);
  TdxSkinLookAndFeelPainter* painter = controller ? controller->GetLookAndFeelPainter() : nullptr;
  if (!painter)
    return false;
  ASkinName = painter->LookAndFeelName();
  return true;
}

bool TdxSkinController::GetPainterData(TdxSkinLookAndFeelPainterInfo*& AData)
{
  TcxLookAndFeel* root = cxGetRootLookAndFeel();
  if (!root)
    return false;
  auto* painter = rtl::As<TcxCustomLookAndFeelPainter>(root->GetSkinPainter());
  TdxSkinLookAndFeelPainterInfo* info = nullptr;
  if (!rtl::Is<TdxSkinLookAndFeelPainter>(painter) || !painter->GetPainterData(&info) || !info)
    return false;
  AData = info;
  return true;
}

void TdxSkinController::PopulateSkinColorPalettes(rtl::TStrings* AValues)
{
  AValues->BeginUpdate();
  const rtl::Finally endUpdate([&] { AValues->EndUpdate(); });
  AValues->Clear();
  TdxSkinLookAndFeelPainterInfo* info = nullptr;
  if (!GetPainterData(info) || !info->GetSkinObject())
    return;
  AValues->Add(L"Default");
  TdxSkinColorPalettes* palettes = info->GetSkinObject()->GetColorPalettes();
  for (int i = 0; palettes && i < palettes->GetCount(); ++i) {
    const rtl::String name = palettes->GetItem(i)->GetName();
    if (AValues->IndexOf(name) < 0)
      AValues->Add(name);
  }
  if (auto* list = rtl::Is<rtl::TStringList>(AValues) ? static_cast<rtl::TStringList*>(AValues) : nullptr)
    list->Sort();
}

rtl::String TdxSkinController::GetSkinPaletteName()
{
  TdxSkinLookAndFeelPainterInfo* info = nullptr;
  rtl::String result;
  if (GetPainterData(info) && info->GetSkinObject())
    result = info->GetSkinObject()->GetActiveColorPaletteName();
  return result.empty() ? rtl::String(L"Default") : result;
}

void TdxSkinController::SetSkinPaletteName(const rtl::String& AValue)
{
  TdxSkinLookAndFeelPainterInfo* info = nullptr;
  if (!GetPainterData(info) || !info->GetSkinObject())
    return;
  info->GetSkinObject()->SetActiveColorPaletteName(AValue);
  SkinSettingsChanged();
}

bool TdxSkinController::IsSkinPaletteNameStored()
{
  return GetSkinPaletteName() != L"Default";
}

bool TdxSkinController::GetUseSkins() const
{
  return cxUseSkins();
}

void TdxSkinController::SetUseSkins(bool AValue)
{
  if (AValue == cxUseSkins())
    return;
  cxSetUseSkins(AValue);
  SkinSettingsChanged();
}

TdxSkinImageSet TdxSkinController::GetUseImageSet() const
{
  return dxSkinGetImageSet();
}

void TdxSkinController::SetUseImageSet(TdxSkinImageSet AValue)
{
  if (AValue == dxSkinGetImageSet())
    return;
  dxSkinSetImageSet(AValue);
  if (GetUseSkins())
    SkinSettingsChanged();
}

void TdxSkinController::SkinSettingsChanged()
{
  if (TcxLookAndFeel* root = cxGetRootLookAndFeel())
    root->Refresh();
  Refresh();
}

void TdxSkinController::DoPopupSysMenu(vcl::TCustomForm* AForm, HMENU ASysMenu)
{
  if (AForm && FOnPopupSysMenu)
    FOnPopupSysMenu(this, AForm, ASysMenu);
}

void TdxSkinController::DoSkinControl(vcl::TWinControl* AControl, bool& UseSkin)
{
  if (FOnSkinControl)
    FOnSkinControl(this, AControl, UseSkin);
}

void TdxSkinController::DoSkinForm(vcl::TCustomForm* AForm, rtl::String& ASkinName, bool& UseSkin)
{
  if (FOnSkinForm)
    FOnSkinForm(this, AForm, ASkinName, UseSkin);
}

// ---------------------------------------------------------------------------
// TdxSkinControllersList

bool TdxSkinControllersList::CanSkinControl(vcl::TWinControl* AControl)
{
  if (!AControl)
    return false;
  bool useSkin = true;
  for (int i = GetCount() - 1; i >= 0; --i) {
    TdxSkinController* controller = GetController(i);
    if (IsControllerDestroying(controller))
      continue;
    controller->DoSkinControl(AControl, useSkin);
    if (useSkin)
      break;
  }
  return useSkin;
}

TdxSkinLookAndFeelPainter* TdxSkinControllersList::CanSkinForm(vcl::TCustomForm* AForm)
{
  TcxLookAndFeel* root = cxGetRootLookAndFeel();
  if (!AForm || !root)
    return nullptr;
  bool useSkin = cxUseSkins() && !root->GetNativeStyle();
  rtl::String skinName = root->GetSkinName();
  for (int i = GetCount() - 1; i >= 0; --i) {
    TdxSkinController* controller = GetController(i);
    if (IsControllerDestroying(controller))
      continue;
    controller->DoSkinForm(AForm, skinName, useSkin);
    TdxSkinLookAndFeelPainter* painter = nullptr;
    if (useSkin && GetSkinPainter(skinName, painter))
      return painter;
  }
  return nullptr;
}

bool TdxSkinControllersList::GetSkinPainter(const rtl::String& AName, TdxSkinLookAndFeelPainter*& APainter)
{
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  TcxCustomLookAndFeelPainter* painter = manager ? manager->GetPainter(AName) : nullptr;
  if (!rtl::Is<TdxSkinLookAndFeelPainter>(painter))
    return false;
  APainter = static_cast<TdxSkinLookAndFeelPainter*>(painter);
  return true;
}

void TdxSkinControllersList::PopupSysMenu(vcl::TCustomForm* AForm, HMENU ASysMenu)
{
  for (int i = 0; i < GetCount(); ++i)
    if (!IsControllerDestroying(GetController(i)))
      GetController(i)->DoPopupSysMenu(AForm, ASysMenu);
}

// ---------------------------------------------------------------------------
// TdxSkinWinController

void TdxSkinWinController::Create(HWND AHandle)
{
  inherited::Create();
  FScaleFactor = rtl::New<TdxScaleFactor>();
  SetHandle(AHandle);
}

void TdxSkinWinController::Destroy()
{
  NotifyDestroying();
  cxEndMouseTracking(this);
  SetHandle(nullptr);
  rtl::FreeAndNil(FScaleFactor);
  inherited::Destroy();
}

void TdxSkinWinController::UpdateScaleFactor()
{
  int numerator = 0;
  int denominator = 0;
  if (FWinControl && dxFindDPIScale(FWinControl, numerator, denominator))
    FScaleFactor->Assign(numerator, denominator, false);
  else
    FScaleFactor->Assign(dxGetSystemScaleFactor());
}

TdxSkinWinController* TdxSkinWinController::FindMaster()
{
  vcl::TCustomForm* form = FWinControl ? TopParentForm(FWinControl) : nullptr;
  if (!form || !form->HandleAllocated() || !dxSkinnedControllers())
    return nullptr;
  return dxSkinnedControllers()->GetControllerByHandle(form->GetHandle());
}

bool TdxSkinWinController::CalculateCanUseSkin()
{
  return dxSkinControllers() && dxSkinControllers()->CanSkinControl(FWinControl);
}

bool TdxSkinWinController::GetUseSkin()
{
  return FCanUseSkin && GetLookAndFeelPainter() != nullptr;
}

void TdxSkinWinController::DefWndProc(rtl::TMessage& AMessage)
{
  if (FWindowProcObject)
    FWindowProcObject->DefaultProc(AMessage);
}

void TdxSkinWinController::NotifyDestroying()
{
  if (dxSkinnedControllers())
    dxSkinnedControllers()->NotifyMasterDestroying(this);
}

void TdxSkinWinController::Hook()
{
  Unhook();
  TcxWindowProcController* procs = cxGetWindowProcController();
  if (!FHandle || !procs || !IsHookNeeded())
    return;
  const auto method = rtl::TWndMethod::Bind<&TdxSkinWinController::WndProc>(this);
  FWindowProcObject = FWinControl ? procs->Add(FWinControl, method) : procs->Add(FHandle, method);
}

void TdxSkinWinController::Unhook()
{
  if (!FHandle || !FWindowProcObject)
    return;
  if (TcxWindowProcController* procs = cxGetWindowProcController())
    procs->Remove(FWindowProcObject);
  FWindowProcObject = nullptr;
}

bool TdxSkinWinController::IsMDIChildWindow(HWND AHandle)
{
  // The framework's forms know no MDI styles: an MDI child is told by its
  // window's extended style.
  return AHandle && TdxSkinFormHelper::GetForm(AHandle) &&
         (GetWindowLongW(AHandle, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
}

bool TdxSkinWinController::IsMDIClientWindow(HWND AHandle)
{
  return AHandle && rtl::SameText(WindowClassName(AHandle), L"MDICLIENT");
}

bool TdxSkinWinController::IsMessageDlgWindow(HWND AHandle)
{
  const rtl::String name = WindowClassName(AHandle);
  return rtl::SameText(name, L"TMessageForm") || rtl::SameText(name, L"TForm");
}

void TdxSkinWinController::InvalidateNC()
{
  if (FHandle)
    cxApplyWindowFrameChange(FHandle, false);
}

void TdxSkinWinController::RefreshController()
{
  FMaster = FindMaster();
  FLookAndFeelPainter = FindLookAndFeelPainter();
  FCanUseSkin = CalculateCanUseSkin();
}

void TdxSkinWinController::Update()
{
  Hook();
  Refresh();
  if (HasGraphicChildren())
    Redraw(true);
}

void TdxSkinWinController::DetachHandle()
{
  Unhook();
  FHandle = nullptr;
}

void TdxSkinWinController::SetHandle(HWND AValue)
{
  Unhook();
  FHandle = AValue;
  FWinControl = cxFindControlByWindow(AValue);
  Update();
}

TdxSkinLookAndFeelPainter* TdxSkinWinController::GetLookAndFeelPainter() const
{
  return FMaster ? FMaster->GetLookAndFeelPainter() : FLookAndFeelPainter;
}

bool TdxSkinWinController::HasGraphicChildren() const
{
  if (!FWinControl)
    return false;
  for (int i = 0; i < FWinControl->GetControlCount(); ++i)
    if (!rtl::Is<vcl::TWinControl>(FWinControl->GetControls(i)))
      return true;
  return false;
}

void TdxSkinWinController::RefreshControllerAndUpdate()
{
  RefreshController();
  Update();
}

void TdxSkinWinController::Redraw(bool AUpdateNow)
{
  if (!FHandle)
    return;
  UINT flags = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN;
  if (AUpdateNow)
    flags |= RDW_UPDATENOW;
  RedrawWindow(FHandle, nullptr, nullptr, flags);
}

void TdxSkinWinController::MasterDestroying(TdxSkinWinController* AController)
{
  if (FMaster == AController)
    FMaster = nullptr;
}

bool TdxSkinWinController::IsSkinActive(HWND AHandle)
{
  if (!AHandle || !dxSkinnedControllers())
    return false;
  TdxSkinWinController* controller = dxSkinnedControllers()->GetControllerByHandle(AHandle);
  return controller && controller->GetUseSkin();
}

void TdxSkinWinController::InitializeEngine(TdxSkinWinControllerClass AClass, HWND AHandle)
{
  TdxSkinSkinnedControlsControllers* controllers = dxSkinnedControllers();
  if (!AClass || !controllers)
    return;
  if (!controllers->GetControllerByHandle(AHandle)) {
    // A control whose window is re-created keeps its controller.
    TdxSkinWinController* controller = controllers->GetControllerByControl(cxFindControlByWindow(AHandle));
    if (controller) {
      controller->SetHandle(AHandle);
    } else {
      controller = AClass.Create(AHandle);
      controllers->Add(controller);
    }
    controller->RefreshControllerAndUpdate();
  }
  PostCheckRegion(AHandle, false);
}

void TdxSkinWinController::FinalizeEngine(HWND AHandle)
{
  TdxSkinSkinnedControlsControllers* controllers = dxSkinnedControllers();
  TdxSkinWinController* controller = controllers ? controllers->GetControllerByHandle(AHandle) : nullptr;
  if (!controller || !controller->CanFreeOnDestroy())
    return;
  // A control whose window is being re-created keeps its controller: the
  // new window's creation finds it by the control.
  vcl::TWinControl* control = controller->GetWinControl();
  if (control && control->GetControlState().Contains(vcl::TControlStateItem::csRecreating))
    controller->DetachHandle();
  else
    controllers->FreeAndRemove(controller);
}

void TdxSkinWinController::PostCheckRegion(HWND AHandle, bool AForce)
{
  PostMessageW(AHandle, SKM_CHECKREGION, AForce ? 1 : 0, 0);
}

// ---------------------------------------------------------------------------
// The lists of window controllers

TdxSkinWinController* TdxSkinWinControllerList::GetControllerByControl(vcl::TWinControl* AControl) const
{
  if (!AControl)
    return nullptr;
  for (int i = 0; i < GetCount(); ++i)
    if (GetController(i)->GetWinControl() == AControl)
      return GetController(i);
  return nullptr;
}

TdxSkinWinController* TdxSkinWinControllerList::GetControllerByHandle(HWND AHandle) const
{
  for (int i = 0; i < GetCount(); ++i)
    if (GetController(i)->GetHandle() == AHandle)
      return GetController(i);
  return nullptr;
}

void TdxSkinWinControllerList::Refresh()
{
  for (int i = 0; i < GetCount(); ++i)
    GetController(i)->RefreshController();
  for (int i = 0; i < GetCount(); ++i)
    GetController(i)->Update();
}

void TdxSkinSkinnedControlsControllers::NotifyMasterDestroying(TdxSkinWinController* AMaster)
{
  for (int i = 0; i < GetCount(); ++i)
    GetController(i)->MasterDestroying(AMaster);
}

void TdxSkinSkinnedControlsControllers::Refresh(TdxSkinWinController* AMaster)
{
  if (!AMaster)
    return;
  rtl::TOwnedPtr<TdxSkinWinControllerList> list(rtl::New<TdxSkinWinControllerList>(false));
  list->Add(AMaster);
  for (int i = 0; i < GetCount(); ++i)
    if (GetController(i)->GetMaster() == AMaster)
      list->Add(GetController(i));
  list->Refresh();
}

// ---------------------------------------------------------------------------
// TdxSkinWinControllerHelper

void TdxSkinWinControllerHelper::Create()
{
  inherited::Create();
  FHandle = rtl::AllocateHWnd(rtl::TWndMethod::Bind<&TdxSkinWinControllerHelper::HelperWndProc>(this));
}

void TdxSkinWinControllerHelper::Destroy()
{
  rtl::DeallocateHWnd(FHandle);
  FHandle = nullptr;
  inherited::Destroy();
}

void TdxSkinWinControllerHelper::HelperWndProc(rtl::TMessage& AMessage)
{
  if (AMessage.Msg == SKM_DEFERREDINIT) {
    InitializeEngineForWindow(reinterpret_cast<HWND>(AMessage.LParam));
    return;
  }
  AMessage.Result = DefWindowProcW(FHandle, AMessage.Msg, AMessage.WParam, AMessage.LParam);
}

void TdxSkinWinControllerHelper::InitializeEngine(HWND AHandle)
{
  if (SendMessageW(AHandle, SKM_HASOWNENGINE, 0, 0) != 0)
    return;
  // The framework sets the MDI client up after its creation.
  if (TdxSkinWinController::IsMDIClientWindow(AHandle)) {
    PostMessageW(FHandle, SKM_DEFERREDINIT, 0, reinterpret_cast<LPARAM>(AHandle));
    return;
  }
  InitializeEngineForWindow(AHandle);
}

void TdxSkinWinControllerHelper::InitializeEngineForWindow(HWND AHandle)
{
  // A deferred window may have gone meanwhile.
  if (!IsWindow(AHandle))
    return;
  TdxSkinWinController::InitializeEngine(dxSkinGetControllerClass(AHandle), AHandle);
}

void TdxSkinWinControllerHelper::FinalizeEngine(HWND AHandle)
{
  TdxSkinWinController::FinalizeEngine(AHandle);
  ChildChanged(AHandle);
}

void TdxSkinWinControllerHelper::ChildChanged(HWND AHandle)
{
  HWND parent = GetParent(AHandle);
  if (TdxSkinWinController::IsMDIClientWindow(parent))
    if (HWND frame = GetParent(parent))
      PostMessageW(frame, SKM_CHILDCHANGED, 0, 0);
}
