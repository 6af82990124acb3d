// TCustomForm: creation from the form resource, showing, modal loops,
// closing, placement, activation and DPI changes.
#include "platform/vcl/Forms.h"

#include <algorithm>
#include <utility>

#include "platform/rtl/ClassesFiler.h"
#include "platform/rtl/ClassesStreams.h"
#include "platform/rtl/ClassesThreads.h"
#include "platform/rtl/SysUtilsFormat.h"
#include "platform/vcl/ActnList.h"

using enum rtl::TComponentStateFlag;
using enum rtl::TOperation;
using enum vcl::TBorderIcon;
using enum vcl::TCloseAction;
using enum vcl::TControlStateItem;
using enum vcl::TControlStyleItem;
using enum vcl::TFormBorderStyle;
using enum vcl::TPosition;
using enum vcl::TWindowState;

namespace vcl {

using rtl::InheritedMessage;

namespace {

// The window styles of a border style and its icons.
void BorderStyles(TFormBorderStyle AStyle, TBorderIcons AIcons, DWORD& AWindowStyle, DWORD& AExStyle)
{
  switch (AStyle) {
    case bsNone: AWindowStyle |= WS_POPUP; break;
    case bsSingle:
    case bsToolWindow: AWindowStyle |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable:
    case bsSizeToolWin: AWindowStyle |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
      AWindowStyle |= WS_POPUP | WS_CAPTION;
      AExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
  }
  if (AStyle == bsToolWindow || AStyle == bsSizeToolWin)
    AExStyle |= WS_EX_TOOLWINDOW;
  if (AStyle == bsNone || !AIcons.Contains(biSystemMenu))
    return;
  AWindowStyle |= WS_SYSMENU;
  // Only the ordinary frames carry the minimise and maximise boxes; the
  // help button shows where they don't.
  if (AStyle == bsSingle || AStyle == bsSizeable) {
    if (AIcons.Contains(biMinimize))
      AWindowStyle |= WS_MINIMIZEBOX;
    if (AIcons.Contains(biMaximize))
      AWindowStyle |= WS_MAXIMIZEBOX;
  }
  if (AIcons.Contains(biHelp) && (AStyle == bsDialog || !(AWindowStyle & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))))
    AExStyle |= WS_EX_CONTEXTHELP;
}

// The top-level windows of the thread a modal form disables, so that only
// it takes input; they are enabled again when it ends.
struct TTaskWindows {
  HWND ModalWindow;
  std::vector<HWND> Disabled;
};

// A window is disabled only once it is listed, so that it comes back; when
// listing fails the enumeration ends.
BOOL CALLBACK DisableTaskWindow(HWND AWnd, LPARAM AData) noexcept
{
  return rtl::GuardCallback(FALSE, [&] {
    auto* windows = reinterpret_cast<TTaskWindows*>(AData);
    if (AWnd != windows->ModalWindow && IsWindowVisible(AWnd) && IsWindowEnabled(AWnd)) {
      windows->Disabled.push_back(AWnd);
      EnableWindow(AWnd, FALSE);
    }
    return TRUE;
  });
}

}  // namespace

TCustomForm* GetParentForm(TControl* AControl)
{
  if (!AControl)
    return nullptr;
  while (AControl->GetParent())
    AControl = AControl->GetParent();
  return rtl::Is<TCustomForm>(AControl) ? static_cast<TCustomForm*>(AControl) : nullptr;
}

// ---------------------------------------------------------------------------
// Life cycle

void TCustomForm::Create(TComponent* AOwner)
{
  CreateNew(AOwner);
  // A designed form class has its layout in a resource; TForm itself has
  // none.
  if (!rtl::InitInheritedComponent(this, TCustomForm::StaticClass()) && ClassType() != TForm::StaticClass() &&
      ClassType() != TCustomForm::StaticClass())
    throw rtl::EResNotFound(rtl::Format(L"Resource %s not found", {ClassName()}));
}

void TCustomForm::CreateNew(TComponent* AOwner, int /*ADummy*/)
{
  inherited::Create(AOwner);
  InitializeNewForm();
}

void TCustomForm::InitializeNewForm()
{
  FControlStyle.Include(csAcceptsControls);
  FVisible = false;
  FLeft = 0;
  FTop = 0;
  FWidth = 320;
  FHeight = 240;
  FParentColor = false;
  FParentFont = false;
  SetColor(clBtnFace);
  FBorderStyle = bsSizeable;
  FBorderIcons = {biSystemMenu, biMinimize, biMaximize};
  FPosition = poDefaultPosOnly;
  FDefaultMonitor = TDefaultMonitor::dmActiveForm;
  FWindowState = wsNormal;
  FScaled = true;
  FPixelsPerInch = Screen()->GetPixelsPerInch();
  FCurrentPPI = FPixelsPerInch;
  FIcon = rtl::New<TIcon>();
  Screen()->AddForm(this);
}

void TCustomForm::AfterConstruction()
{
  inherited::AfterConstruction();
  DoCreate();
}

void TCustomForm::BeforeDestruction()
{
  inherited::BeforeDestruction();
  // OnDestroy still sees the whole form. What it raises is reported: the
  // form is on its way out whatever the handler says, and a refusal here
  // would leave it half closed.
  try {
    DoDestroy();
  } catch (...) {
    rtl::HandleCallbackException(this);
  }
}

void TCustomForm::Destroy()
{
  if (TScreen* screen = detail::ExistingScreen())
    screen->RemoveForm(this);
  TApplication* application = detail::ExistingApplication();
  if (application && application->FMainForm == this)
    application->FMainForm = nullptr;
  inherited::Destroy();
  rtl::FreeAndNil(FIcon);
}

void TCustomForm::DoCreate()
{
  if (FOnCreate)
    FOnCreate(this);
}

void TCustomForm::DoDestroy()
{
  if (FOnDestroy)
    FOnDestroy(this);
}

// ---------------------------------------------------------------------------
// Reading

void TCustomForm::DefineProperties(rtl::TFiler* AFiler)
{
  inherited::DefineProperties(AFiler);
  // Form files carry the height of the font's text at design time; it is
  // read and not used.
  AFiler->DefineProperty(L"TextHeight", rtl::TReaderProc::Bind<&TCustomForm::ReadTextHeight>(this), {}, false);
}

void TCustomForm::GetChildren(const rtl::TGetChildProc& AProc, TComponent* ARoot)
{
  inherited::GetChildren(AProc, ARoot);
  if (ARoot != this)
    return;
  for (int i = 0; i < GetComponentCount(); ++i) {
    TComponent* component = GetComponents(i);
    if (!component->HasParent())
      AProc(component);
  }
}

void TCustomForm::ReadTextHeight(rtl::TReader* AReader)
{
  AReader->ReadInteger();
}

void TCustomForm::ReadState(rtl::TReader* AReader)
{
  FReadClientWidth = 0;
  FReadClientHeight = 0;
  inherited::ReadState(AReader);
}

void TCustomForm::SetClientWidth(int AValue)
{
  if (FControlState.Contains(csReadingState))
    FReadClientWidth = AValue;
  else
    TControl::SetClientWidth(AValue);
}

void TCustomForm::SetClientHeight(int AValue)
{
  if (FControlState.Contains(csReadingState))
    FReadClientHeight = AValue;
  else
    TControl::SetClientHeight(AValue);
}

void TCustomForm::SetPixelsPerInch(int AValue)
{
  if (AValue > 0)
    FPixelsPerInch = AValue;
}

// The client size waited for the border style; the window does not exist
// yet, so its frame is worked out from the styles it will have.
void TCustomForm::Loaded()
{
  inherited::Loaded();
  if (FReadClientWidth > 0 || FReadClientHeight > 0) {
    TCreateParams params;
    CreateParams(params);
    RECT frame{0, 0, FReadClientWidth, FReadClientHeight};
    AdjustWindowRectEx(&frame, params.Style, FALSE, params.ExStyle);
    SetBounds(FLeft, FTop, FReadClientWidth > 0 ? frame.right - frame.left : FWidth,
              FReadClientHeight > 0 ? frame.bottom - frame.top : FHeight);
  }
  const int screenPPI = Screen()->GetPixelsPerInch();
  if (FScaled && FPixelsPerInch != screenPPI) {
    FCurrentPPI = FPixelsPerInch;
    ScaleForPPI(screenPPI);
  }
  FCurrentPPI = FPixelsPerInch = screenPPI;
  if (FActiveControl && !ContainsControl(FActiveControl))
    FActiveControl = nullptr;
}

void TCustomForm::ScaleForPPI(int ANewPPI)
{
  inherited::ScaleForPPI(ANewPPI);
  FPixelsPerInch = ANewPPI;
}

// ---------------------------------------------------------------------------
// The window

void TCustomForm::CreateParams(TCreateParams& AParams)
{
  inherited::CreateParams(AParams);
  AParams.Style &= ~(WS_CHILD | WS_TABSTOP);
  AParams.Style |= WS_CLIPCHILDREN;
  AParams.ExStyle &= ~WS_EX_CONTROLPARENT;
  BorderStyles(FBorderStyle, FBorderIcons, AParams.Style, AParams.ExStyle);
  if (FPosition == poDefault || FPosition == poDefaultPosOnly) {
    AParams.X = CW_USEDEFAULT;
    AParams.Y = CW_USEDEFAULT;
  }
  if (FPosition == poDefault || FPosition == poDefaultSizeOnly) {
    AParams.Width = CW_USEDEFAULT;
    AParams.Height = CW_USEDEFAULT;
  }
  // Popup windows do not take the default place Windows offers.
  if (AParams.Style & WS_POPUP) {
    if (AParams.X == static_cast<int>(CW_USEDEFAULT))
      AParams.X = AParams.Y = 0;
    if (AParams.Width == static_cast<int>(CW_USEDEFAULT)) {
      AParams.Width = FWidth;
      AParams.Height = FHeight;
    }
  }
  // Every form is owned by the application window, and so has no button
  // on the task bar, except the main form when it has its own.
  TApplication* application = Application();
  if (application->FMainFormOnTaskBar && (!application->FMainForm || application->FMainForm == this)) {
    AParams.WndParent = nullptr;
    AParams.ExStyle |= WS_EX_APPWINDOW;
  } else if (application->FMainFormOnTaskBar && application->FMainForm) {
    AParams.WndParent = application->FMainForm->GetHandle();
  } else {
    AParams.WndParent = application->GetHandle();
  }
}

// The frame changes the client size: the anchor rules the children took
// against the form's outer size are taken again against the real client
// area before anything is aligned.
void TCustomForm::CreateWnd()
{
  DisableAlign();
  try {
    inherited::CreateWnd();
  } catch (...) {
    EnableAlign();
    throw;
  }
  for (int i = 0; i < GetControlCount(); ++i)
    GetControls(i)->UpdateAnchorRules();
  EnableAlign();
  ApplyIcon();
}

void TCustomForm::ApplyIcon()
{
  if (!FHandle)
    return;
  HICON icon = FIcon->GetEmpty() ? LoadIconW(GetModuleHandleW(nullptr), L"MAINICON") : FIcon->GetHandle();
  SendMessageW(FHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageW(FHandle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void TCustomForm::SetBorderStyle(TFormBorderStyle AValue)
{
  if (FBorderStyle == AValue)
    return;
  FBorderStyle = AValue;
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons AValue)
{
  if (FBorderIcons == AValue)
    return;
  FBorderIcons = AValue;
  RecreateWnd();
}

void TCustomForm::SetWindowState(TWindowState AValue)
{
  if (FWindowState == AValue)
    return;
  FWindowState = AValue;
  if (FHandle && FShowing) {
    constexpr int kCommands[] = {SW_SHOWNORMAL, SW_MINIMIZE, SW_SHOWMAXIMIZED};
    ShowWindow(FHandle, kCommands[AValue]);
  }
}

// The user or Windows may minimise, maximise or restore the window:
// WindowState follows. A hidden window's size changes (placement before it
// shows) leave the state it is to show in.
void TCustomForm::WMSize(TWMSize& AMessage)
{
  if (FHandle && IsWindowVisible(FHandle)) {
    switch (AMessage.SizeType) {
      case SIZE_MINIMIZED: FWindowState = wsMinimized; break;
      case SIZE_MAXIMIZED: FWindowState = wsMaximized; break;
      case SIZE_RESTORED: FWindowState = wsNormal; break;
      default: break;
    }
  }
  InheritedMessage(this, AMessage);
}

// ---------------------------------------------------------------------------
// Showing and placement

void TCustomForm::Show()
{
  SetVisible(true);
  BringToFront();
}

TMonitor* TCustomForm::DefaultMonitorOf()
{
  const auto monitorOf = [](TCustomForm* AForm) -> TMonitor* {
    return AForm && AForm->HandleAllocated() ? Screen()->MonitorFromWindow(AForm->GetHandle()) : nullptr;
  };
  TMonitor* result = nullptr;
  switch (FDefaultMonitor) {
    case TDefaultMonitor::dmDesktop:
      return nullptr;
    case TDefaultMonitor::dmPrimary:
      break;
    case TDefaultMonitor::dmMainForm:
      result = monitorOf(Application()->GetMainForm());
      break;
    case TDefaultMonitor::dmActiveForm: {
      TCustomForm* active = Screen()->GetActiveForm();
      result = monitorOf(active != this ? active : nullptr);
      if (!result)
        result = monitorOf(Application()->GetMainForm());
      break;
    }
  }
  return result ? result : Screen()->GetPrimaryMonitor();
}

// The first placement brings a form that lies off its default monitor onto
// that monitor's work area; dmDesktop leaves it where it was put.
void TCustomForm::ApplyPosition()
{
  TMonitor* monitor = DefaultMonitorOf();
  if (!std::exchange(FPositioned, true) && monitor) {
    const TRect work = monitor->GetWorkareaRect();
    RECT visible{};
    const RECT bounds = GetBoundsRect();
    if (!IntersectRect(&visible, &bounds, &work)) {
      const int left = std::max<int>(work.left, std::min<int>(FLeft, work.right - FWidth));
      const int top = std::max<int>(work.top, std::min<int>(FTop, work.bottom - FHeight));
      SetBounds(left, top, FWidth, FHeight);
    }
  }
  TRect area{};
  switch (FPosition) {
    case poScreenCenter:
      area = (monitor ? monitor : Screen()->MonitorFromWindow(FHandle))->GetWorkareaRect();
      break;
    case poDesktopCenter:
      area = Screen()->GetDesktopRect();
      break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
      TCustomForm* center = FPosition == poMainFormCenter ? Application()->GetMainForm()
                                                          : rtl::Is<TCustomForm>(GetOwner())
                                                                ? static_cast<TCustomForm*>(GetOwner())
                                                                : Application()->GetMainForm();
      if (!center || center == this)
        area = Screen()->MonitorFromWindow(FHandle)->GetWorkareaRect();
      else
        area = center->GetBoundsRect();
      break;
    }
    default:
      return;
  }
  const int left = area.left + (area.right - area.left - FWidth) / 2;
  const int top = area.top + (area.bottom - area.top - FHeight) / 2;
  SetBounds(std::max(left, static_cast<int>(area.left)), std::max(top, static_cast<int>(area.top)), FWidth,
            FHeight);
}

// OnShow comes before the window appears, OnHide after it has gone. What
// they raise is reported and the form still changes, so Run and the modal
// loop go on with a form that is what its Visible says.
void TCustomForm::CMShowingChanged(TMessage& /*AMessage*/)
{
  if (FShowing) {
    ApplyPosition();
    try {
      DoShow();
    } catch (...) {
      Application()->HandleException(this);
    }
    constexpr int kCommands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(FHandle, kCommands[FWindowState]);
  } else {
    if (Screen()->GetActiveForm() == this)
      Screen()->SetActiveForm(nullptr);
    ShowWindow(FHandle, SW_HIDE);
    try {
      DoHide();
    } catch (...) {
      Application()->HandleException(this);
    }
  }
}

void TCustomForm::DoShow()
{
  if (FOnShow)
    FOnShow(this);
}

void TCustomForm::DoHide()
{
  if (FOnHide)
    FOnHide(this);
}

TModalResult TCustomForm::ShowModal()
{
  if (FVisible || !FEnabled || FModal)
    throw rtl::EInvalidOperation(L"Cannot make a visible window modal");
  if (HWND capture = GetCapture()) {
    SendMessageW(capture, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
  }
  const HWND activeWindow = GetActiveWindow();
  TTaskWindows windows{GetHandle(), {}};
  EnumThreadWindows(GetCurrentThreadId(), &DisableTaskWindow, reinterpret_cast<LPARAM>(&windows));
  // A handler may free the form while its loop runs (Release, its owner
  // freed): the loop then ends with mrCancel, and the windows behind come
  // back without the form being touched.
  rtl::TFreeWatch watch(this);
  const auto enableWindows = [&] {
    for (HWND wnd : windows.Disabled)
      if (IsWindow(wnd))
        EnableWindow(wnd, TRUE);
    windows.Disabled.clear();
  };
  const auto restore = [&] {
    if (!watch.Freed())
      FModal = false;
    enableWindows();
    if (activeWindow && IsWindow(activeWindow))
      SetActiveWindow(activeWindow);
  };
  FModal = true;
  FModalResult = mrNone;
  TModalResult result = mrCancel;
  try {
    Show();
    TApplication* application = Application();
    while (!watch.Freed()) {
      application->HandleMessage();
      if (watch.Freed())
        break;
      if (application->GetTerminated())
        FModalResult = mrCancel;
      else if (FModalResult != mrNone)
        CloseModal();
      if (!watch.Freed() && FModalResult != mrNone) {
        result = FModalResult;
        // The windows come back before the form hides, so Windows activates
        // the one the form was shown over.
        enableWindows();
        Hide();
        break;
      }
    }
  } catch (...) {
    restore();
    throw;
  }
  restore();
  return result;
}

void TCustomForm::CloseModal()
{
  TCloseAction action = caNone;
  if (CloseQuery()) {
    action = caHide;
    DoClose(action);
  }
  if (action == caNone)
    FModalResult = mrNone;
  else if (action == caFree)
    ReleaseForm();
}

// ---------------------------------------------------------------------------
// Closing

void TCustomForm::Close()
{
  if (FModal) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery())
    return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone)
    return;
  if (Application()->GetMainForm() == this) {
    Application()->Terminate();
    return;
  }
  switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    default: ReleaseForm(); break;
  }
}

bool TCustomForm::IsShortCut(TWMKey& AMessage)
{
  bool handled = false;
  if (FOnShortCut)
    FOnShortCut(AMessage, handled);
  for (int i = 0; !handled && i < GetComponentCount(); ++i)
    if (rtl::Is<TCustomActionList>(GetComponents(i)))
      handled = static_cast<TCustomActionList*>(GetComponents(i))->IsShortCut(AMessage);
  return handled;
}

bool TCustomForm::CloseQuery()
{
  bool canClose = true;
  if (FOnCloseQuery)
    FOnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::DoClose(TCloseAction& AAction)
{
  if (FOnClose)
    FOnClose(this, AAction);
}

void TCustomForm::ReleaseForm()
{
  PostMessageW(GetHandle(), CM_RELEASE, 0, 0);
}

// The form frees itself from its own window procedure: nothing touches it
// after this handler.
void TCustomForm::CMRelease(TMessage& /*AMessage*/)
{
  rtl::Free(this);
}

void TCustomForm::WMClose(TMessage& /*AMessage*/)
{
  Close();
}

// ---------------------------------------------------------------------------
// Activation and focus

void TCustomForm::WMActivate(TMessage& AMessage)
{
  InheritedMessage(this, AMessage);
  const bool active = LOWORD(AMessage.WParam) != WA_INACTIVE;
  if (active == FActive)
    return;
  FActive = active;
  if (active) {
    Screen()->SetActiveForm(this);
    if (!HIWORD(AMessage.WParam))
      SetWindowFocus();
    Activate();
  } else {
    Deactivate();
  }
}

void TCustomForm::Activate()
{
  if (FOnActivate)
    FOnActivate(this);
}

void TCustomForm::Deactivate()
{
  if (FOnDeactivate)
    FOnDeactivate(this);
}

void TCustomForm::SetWindowFocus()
{
  TWinControl* control = FActiveControl;
  if (!control || !control->CanFocus())
    control = FindNextControl(nullptr, true, true, false);
  if (control && control->CanFocus())
    ::SetFocus(control->GetHandle());
  else
    ::SetFocus(FHandle);
}

// Whether AControl and its parents up to this form are visible and enabled;
// the form's own state does not count, so the active control can be chosen
// before the form shows (in OnCreate).
bool TCustomForm::CanFocusWithin(TWinControl* AControl)
{
  for (TControl* control = AControl; control && control != this; control = control->GetParent())
    if (!control->GetVisible() || !control->GetEnabled())
      return false;
  return true;
}

void TCustomForm::SetActiveControl(TWinControl* AValue)
{
  if (FActiveControl == AValue)
    return;
  if (AValue && !GetComponentState().Contains(csLoading) &&
      (AValue == this || GetParentForm(AValue) != this || !CanFocusWithin(AValue)))
    throw rtl::EInvalidOperation(L"Cannot focus a disabled or invisible window");
  FActiveControl = AValue;
  if (AValue)
    AValue->FreeNotification(this);
  if (FActive && AValue && !GetComponentState().Contains(csLoading))
    ::SetFocus(AValue->GetHandle());
}

bool TCustomForm::SetFocusedControl(TWinControl* AControl)
{
  if (!inherited::SetFocusedControl(AControl))
    return false;
  if (AControl != this) {
    FActiveControl = AControl;
    AControl->FreeNotification(this);
  }
  return true;
}

void TCustomForm::Notification(TComponent* AComponent, rtl::TOperation AOperation)
{
  inherited::Notification(AComponent, AOperation);
  if (AOperation == opRemove && AComponent == FActiveControl)
    FActiveControl = nullptr;
}

// A key down in any of the form's controls reaches the form first when it
// previews keys; a handler that clears the key consumes it.
void TCustomForm::CMChildKey(TCMChildKey& AMessage)
{
  if (FKeyPreview && AMessage.Sender != this) {
    WORD key = AMessage.CharCode;
    KeyDown(key, KeyboardStateToShiftState());
    if (key == 0) {
      AMessage.Result = 1;
      return;
    }
  }
  InheritedMessage(this, AMessage);
}

// ---------------------------------------------------------------------------
// DPI

// WParam's low word is the new DPI, LParam the rectangle Windows suggests
// for the form at that DPI.
void TCustomForm::WMDpiChanged(TMessage& AMessage)
{
  const int dpi = LOWORD(AMessage.WParam);
  if (FScaled && dpi > 0 && dpi != FCurrentPPI)
    ScaleForPPI(dpi);
  FPixelsPerInch = dpi > 0 ? dpi : FPixelsPerInch;
  if (const auto* rect = reinterpret_cast<const RECT*>(AMessage.LParam))
    SetBounds(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
  AMessage.Result = 0;
}

// ---------------------------------------------------------------------------
// TCustomFrame

void TCustomFrame::Create(TComponent* AOwner)
{
  inherited::Create(AOwner);
  FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  SetBounds(0, 0, 320, 240);
}

void TCustomFrame::CreateParams(TCreateParams& AParams)
{
  inherited::CreateParams(AParams);
  AParams.Style |= WS_CLIPCHILDREN;
}

}  // namespace vcl
