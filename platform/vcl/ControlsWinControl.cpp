// TWinControl: the window and its procedure, children, alignment, focus,
// keys, painting and the reflection of notifications.
#include <algorithm>
#include <iterator>
#include <utility>

#include "platform/rtl/ClassesFiler.h"
#include "platform/rtl/ClassesThreads.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/Forms.h"

using enum rtl::TComponentStateFlag;
using enum vcl::TAlign;
using enum vcl::TAnchorKind;
using enum vcl::TControlStateItem;
using enum vcl::TControlStyleItem;

namespace vcl {

using rtl::InheritedMessage;

namespace {

// The window property that ties a window to its control.
constexpr wchar_t kControlProp[] = L"KelvaroControl";

// The control whose window is being made: the window procedure attaches it
// to the window at the first message, before CreateWindowEx returns.
thread_local TWinControl* t_creationControl = nullptr;

// Non-zero when the message comes from one of the window's mouse buttons
// or the mouse moving over its client area.
bool IsClientMouseMessage(UINT AMsg)
{
  return AMsg >= WM_MOUSEMOVE && AMsg <= WM_MBUTTONDBLCLK;
}

LPARAM PointToLParam(const TPoint& APoint)
{
  return MAKELPARAM(static_cast<WORD>(APoint.x), static_cast<WORD>(APoint.y));
}

// Standard cursors by their framework numbers; others fall back to the
// arrow until the screen object provides registered ones.
HCURSOR StandardCursor(TCursor ACursor)
{
  const wchar_t* id = IDC_ARROW;
  switch (ACursor) {
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeNESW: id = IDC_SIZENESW; break;
    case crSizeNS: id = IDC_SIZENS; break;
    case crSizeNWSE: id = IDC_SIZENWSE; break;
    case crSizeWE: id = IDC_SIZEWE; break;
    case crUpArrow: id = IDC_UPARROW; break;
    case crHourGlass: id = IDC_WAIT; break;
    case crNo: id = IDC_NO; break;
    case crAppStart: id = IDC_APPSTARTING; break;
    case crHelp: id = IDC_HELP; break;
    case crHandPoint: id = IDC_HAND; break;
    case crSizeAll: id = IDC_SIZEALL; break;
    case crNone: return nullptr;
    default: break;
  }
  return LoadCursorW(nullptr, id);
}

}  // namespace

// ---------------------------------------------------------------------------
// The window procedure

LRESULT CALLBACK ControlWindowProc(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam)
{
  auto* control = static_cast<TWinControl*>(GetPropW(AWnd, kControlProp));
  if (!control) {
    control = std::exchange(t_creationControl, nullptr);
    if (!control)
      return DefWindowProcW(AWnd, AMsg, AWParam, ALParam);
    control->FHandle = AWnd;
    SetPropW(AWnd, kControlProp, control);
  }
  TMessage message{AMsg, AWParam, ALParam, 0};
  // The control may be freed while it handles the message: nothing below
  // touches it unless the window is going, and then Destroy is still
  // running (it destroys the window) or the window went on its own.
  const LRESULT result = rtl::GuardCallback(LRESULT{0}, [&] {
    control->MainWndProc(message);
    return message.Result;
  });
  if (AMsg == WM_NCDESTROY) {
    RemovePropW(AWnd, kControlProp);
    if (control->FHandle == AWnd)
      control->FHandle = nullptr;
  }
  return result;
}

TWinControl* FindControl(HWND AHandle)
{
  if (!AHandle)
    return nullptr;
  DWORD process = 0;
  GetWindowThreadProcessId(AHandle, &process);
  if (process != GetCurrentProcessId())
    return nullptr;
  return static_cast<TWinControl*>(GetPropW(AHandle, kControlProp));
}

TWinControl* FindVCLWindow(const TPoint& APos)
{
  for (HWND wnd = WindowFromPoint(APos); wnd; wnd = GetParent(wnd))
    if (TWinControl* control = FindControl(wnd))
      return control;
  return nullptr;
}

bool IsKeyMsg(MSG& AMsg)
{
  if (AMsg.message < WM_KEYFIRST || AMsg.message > WM_KEYLAST)
    return false;
  HWND wnd = GetCapture();
  if (!wnd) {
    wnd = AMsg.hwnd;
    while (wnd && !FindControl(wnd))
      wnd = GetParent(wnd);
    if (!wnd)
      wnd = AMsg.hwnd;
  } else if (!FindControl(wnd) && wnd != detail::DragCaptureWindow()) {
    // During a drag the keys go to the drag (Esc cancels it).
    return false;
  }
  return SendMessageW(wnd, CN_BASE + AMsg.message, AMsg.wParam, AMsg.lParam) != 0;
}

void TWinControl::MainWndProc(TMessage& AMessage)
{
  try {
    try {
      FWindowProc(AMessage);
    } catch (...) {
      FreeDeviceContexts();
      throw;
    }
    FreeDeviceContexts();
  } catch (...) {
    rtl::HandleCallbackException(this);
  }
}

// ---------------------------------------------------------------------------
// Life cycle

void TWinControl::Create(TComponent* AOwner)
{
  inherited::Create(AOwner);
  FBrush = rtl::New<TBrush>();
  FBrush->SetColor(FColor);
  FTabOrder = -1;
}

void TWinControl::CreateParented(HWND AParentWindow)
{
  FParentWindow = AParentWindow;
  Create(nullptr);
}

void TWinControl::Destroy()
{
  Destroying();
  // The focus bookkeeping leaves the control before its window goes: the
  // focus passing to the parent window must not run CM_EXIT (OnExit) on a
  // control whose descendants' parts are already destroyed.
  if (FParent) {
    TWinControl* top = TopLevelControl();
    if (top->FFocusedControl && ContainsControl(top->FFocusedControl))
      top->FFocusedControl = FParent;
  }
  if (FHandle) {
    FreeDeviceContexts();
    DestroyWindowHandle();
  }
  // The children go with their parent, whoever owns them; each leaves its
  // owner as it goes.
  while (GetControlCount() > 0) {
    TControl* child = GetControls(GetControlCount() - 1);
    RemoveControl(child);
    rtl::Free(child);
  }
  inherited::Destroy();
  rtl::FreeAndNil(FBrush);
}

// ---------------------------------------------------------------------------
// The window

void TWinControl::CreateParams(TCreateParams& AParams)
{
  AParams = {};
  AParams.Caption = FText.c_str();
  AParams.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (FControlStyle.Contains(csAcceptsControls)) {
    AParams.Style |= WS_CLIPCHILDREN;
    AParams.ExStyle |= WS_EX_CONTROLPARENT;
  }
  if (UseRightToLeftReading())
    AParams.ExStyle |= WS_EX_RTLREADING;
  if (!FEnabled)
    AParams.Style |= WS_DISABLED;
  if (FTabStop)
    AParams.Style |= WS_TABSTOP;
  AParams.X = FLeft;
  AParams.Y = FTop;
  AParams.Width = FWidth;
  AParams.Height = FHeight;
  AParams.WndParent = FParent ? FParent->GetHandle() : FParentWindow;
  AParams.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  AParams.WindowClass.lpfnWndProc = &DefWindowProcW;
  AParams.WindowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  AParams.WindowClass.hInstance = GetModuleHandleW(nullptr);
  const String name = ClassName();
  lstrcpynW(AParams.WinClassName, name.c_str(), static_cast<int>(std::size(AParams.WinClassName)));
}

void TWinControl::CreateSubClass(TCreateParams& AParams, const wchar_t* AClassName)
{
  constexpr UINT kStylesOff = CS_OWNDC | CS_CLASSDC | CS_PARENTDC | CS_GLOBALCLASS;
  constexpr UINT kStylesOn = CS_VREDRAW | CS_HREDRAW;
  if (!AClassName)
    return;
  const HINSTANCE instance = AParams.WindowClass.hInstance;
  if (!GetClassInfoW(instance, AClassName, &AParams.WindowClass))
    GetClassInfoW(nullptr, AClassName, &AParams.WindowClass);
  AParams.WindowClass.hInstance = instance;
  AParams.WindowClass.style = (AParams.WindowClass.style & ~kStylesOff) | kStylesOn;
}

void TWinControl::CreateWnd()
{
  TCreateParams params;
  CreateParams(params);
  if (!params.WndParent && (params.Style & WS_CHILD)) {
    TComponent* owner = GetOwner();
    if (rtl::Is<TWinControl>(owner) && owner->GetComponentState().Contains(csReading))
      params.WndParent = static_cast<TWinControl*>(owner)->GetHandle();
    else
      throw rtl::EInvalidOperation(rtl::Format(L"Control '%s' has no parent window", {GetName()}));
  }
  FDefWndProc = params.WindowClass.lpfnWndProc;
  WNDCLASSW registered{};
  const bool isRegistered = GetClassInfoW(params.WindowClass.hInstance, params.WinClassName, &registered);
  if (!isRegistered || registered.lpfnWndProc != &ControlWindowProc) {
    if (isRegistered)
      UnregisterClassW(params.WinClassName, params.WindowClass.hInstance);
    params.WindowClass.lpfnWndProc = &ControlWindowProc;
    params.WindowClass.lpszClassName = params.WinClassName;
    if (!RegisterClassW(&params.WindowClass))
      rtl::RaiseLastOSError();
  }
  t_creationControl = this;
  try {
    CreateWindowHandle(params);
  } catch (...) {
    t_creationControl = nullptr;
    throw;
  }
  t_creationControl = nullptr;
  if (!FHandle)
    rtl::RaiseLastOSError();
  // A child's id is its handle, as the framework gives it: WM_COMMAND of a
  // child names it without a dialog id.
  if ((GetWindowLongW(FHandle, GWL_STYLE) & WS_CHILD) && GetWindowLongPtrW(FHandle, GWLP_ID) == 0)
    SetWindowLongPtrW(FHandle, GWLP_ID, reinterpret_cast<LONG_PTR>(FHandle));
  // The window holds the text now.
  FText.clear();
  UpdateBounds();
  Perform(WM_SETFONT, reinterpret_cast<WPARAM>(FFont->GetHandle()), 1);
}

void TWinControl::CreateWindowHandle(const TCreateParams& AParams)
{
  HWND wnd = CreateWindowExW(AParams.ExStyle, AParams.WinClassName, AParams.Caption, AParams.Style, AParams.X,
                             AParams.Y, AParams.Width, AParams.Height, AParams.WndParent, nullptr,
                             AParams.WindowClass.hInstance, AParams.Param);
  // The window procedure set FHandle at the first message; a window that
  // failed in WM_NCCREATE leaves it set to a dead window.
  if (!wnd)
    FHandle = nullptr;
}

void TWinControl::CreateHandle()
{
  if (FHandle)
    return;
  CreateWnd();
  if (FParent)
    SetWindowPos(FHandle, FParent->PrecedingWindow(this), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  for (int i = 0; i < GetControlCount(); ++i)
    GetControls(i)->UpdateAnchorRules();
}

void TWinControl::DestroyWnd()
{
  // The text goes back into the control, to come back with the next window.
  const int length = GetTextLen();
  String text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
  const int copied = length > 0 ? GetTextBuf(text.data(), length + 1) : 0;
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  FreeDeviceContexts();
  DestroyWindowHandle();
  FText = std::move(text);
}

void TWinControl::DestroyWindowHandle()
{
  FControlState.Include(csDestroyingHandle);
  HWND wnd = FHandle;
  DestroyWindow(wnd);
  FControlState.Exclude(csDestroyingHandle);
  FHandle = nullptr;
  FShowing = false;
  FMouseInClient = false;
  FMouseControl = nullptr;
}

void TWinControl::DestroyHandle()
{
  if (!FHandle)
    return;
  for (TWinControl* child : FWinControls)
    child->DestroyHandle();
  DestroyWnd();
}

HWND TWinControl::GetHandle()
{
  HandleNeeded();
  return FHandle;
}

void TWinControl::HandleNeeded()
{
  if (FHandle)
    return;
  if (FParent)
    FParent->HandleNeeded();
  CreateHandle();
}

void TWinControl::SetParentWindow(HWND AValue)
{
  if (FParent || FParentWindow == AValue)
    return;
  if (FHandle && AValue)
    ::SetParent(FHandle, AValue);
  else if (FHandle)
    DestroyHandle();
  FParentWindow = AValue;
  UpdateControlState();
}

void TWinControl::RecreateWnd()
{
  if (FHandle)
    Perform(CM_RECREATEWND, 0, 0);
}

void TWinControl::CMRecreateWnd(TMessage& /*AMessage*/)
{
  const bool wasFocused = Focused();
  FControlState.Include(csRecreating);
  try {
    DestroyHandle();
    UpdateControlState();
  } catch (...) {
    FControlState.Exclude(csRecreating);
    throw;
  }
  FControlState.Exclude(csRecreating);
  if (wasFocused && FHandle)
    ::SetFocus(FHandle);
}

HWND TWinControl::PrecedingWindow(TWinControl* AControl)
{
  auto it = std::find(FWinControls.begin(), FWinControls.end(), AControl);
  if (it != FWinControls.end())
    for (++it; it != FWinControls.end(); ++it)
      if ((*it)->FHandle)
        return (*it)->FHandle;
  // The last of the list stands on top.
  return HWND_TOP;
}

void TWinControl::UpdateBounds()
{
  RECT rect{};
  if (IsIconic(FHandle)) {
    // The icon's place and size are no bounds of the control: it keeps the
    // ones it comes back to (a child's in its parent's coordinates).
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(FHandle, &placement);
    rect = placement.rcNormalPosition;
  } else {
    GetWindowRect(FHandle, &rect);
    if (GetWindowLongW(FHandle, GWL_STYLE) & WS_CHILD) {
      if (HWND parent = ::GetParent(FHandle))
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    }
  }
  FLeft = rect.left;
  FTop = rect.top;
  FWidth = rect.right - rect.left;
  FHeight = rect.bottom - rect.top;
  UpdateAnchorRules();
}

// ---------------------------------------------------------------------------
// Showing

// A visible control shows when its parent does: its window is made with
// those of its children before it is shown, so the children appear with
// it. The children's flags are left as they are while a parent hides;
// IsShowing asks the parents too.
void TWinControl::UpdateShowing()
{
  const bool showControl = FVisible && !FControlState.Contains(csReadingState) &&
                           !GetComponentState().Contains(csDestroying);
  if (showControl) {
    if (!FHandle)
      CreateHandle();
    for (TWinControl* child : std::vector<TWinControl*>(FWinControls))
      child->UpdateShowing();
  }
  if (!FHandle || FShowing == showControl)
    return;
  FShowing = showControl;
  try {
    Perform(CM_SHOWINGCHANGED, 0, 0);
  } catch (...) {
    FShowing = !showControl;
    throw;
  }
  for (TWinControl* child : std::vector<TWinControl*>(FWinControls))
    child->UpdateShowing();
}

void TWinControl::UpdateControlState()
{
  TWinControl* control = this;
  while (control->FParent) {
    control = control->FParent;
    if (!control->FShowing)
      return;
  }
  if (control->IsTopLevelHost() || control->FParentWindow)
    UpdateShowing();
}

void TWinControl::CMShowingChanged(TMessage& /*AMessage*/)
{
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                   (FShowing ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::CMVisibleChanged(TMessage& /*AMessage*/)
{
  if (!FVisible && FParent)
    RemoveFocus();
  UpdateControlState();
}

void TWinControl::RemoveFocus()
{
  TWinControl* top = TopLevelControl();
  if (top == this || !top->FFocusedControl || !ContainsControl(top->FFocusedControl))
    return;
  // Hiding a window by its position flags or disabling its parent leaves the
  // focus where it is: the keys would go on reaching the control.
  const HWND focus = GetFocus();
  if (FHandle && top->FHandle && focus && (focus == FHandle || IsChild(FHandle, focus)))
    ::SetFocus(top->FHandle);
}

void TWinControl::CMEnabledChanged(TMessage& AMessage)
{
  if (!FEnabled && FParent)
    RemoveFocus();
  if (FHandle)
    EnableWindow(FHandle, FEnabled);
  InheritedMessage(this, AMessage);
}

void TWinControl::CMColorChanged(TMessage& AMessage)
{
  InheritedMessage(this, AMessage);
  FBrush->SetColor(FColor);
  NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMFontChanged(TMessage& AMessage)
{
  InheritedMessage(this, AMessage);
  if (FHandle)
    Perform(WM_SETFONT, reinterpret_cast<WPARAM>(FFont->GetHandle()), 0);
  NotifyControls(CM_PARENTFONTCHANGED);
}

// The broadcasts the application makes of system changes reach every
// control.
void TWinControl::CMSysColorChange(TMessage& AMessage)
{
  Broadcast(AMessage);
}

void TWinControl::CMWinIniChange(TMessage& AMessage)
{
  Broadcast(AMessage);
}

void TWinControl::CMFontChange(TMessage& AMessage)
{
  Broadcast(AMessage);
}

// WParam 1 asks to keep the window: the reading order then changes without
// the new extended style.
void TWinControl::CMBiDiModeChanged(TMessage& AMessage)
{
  InheritedMessage(this, AMessage);
  if (AMessage.WParam == 0 && FHandle)
    RecreateWnd();
  NotifyControls(CM_PARENTBIDIMODECHANGED);
}

// ---------------------------------------------------------------------------
// Bounds

TRect TWinControl::GetClientRect()
{
  if (!FHandle)
    return inherited::GetClientRect();
  RECT rect{};
  if (IsIconic(FHandle)) {
    // A minimised window has no client area; its children keep the layout
    // of the normal bounds, inside the window's frame.
    const auto style = static_cast<DWORD>(GetWindowLongW(FHandle, GWL_STYLE));
    // A child's "menu" is its id.
    const bool menu = !(style & WS_CHILD) && GetMenu(FHandle);
    AdjustWindowRectEx(&rect, style, menu, static_cast<DWORD>(GetWindowLongW(FHandle, GWL_EXSTYLE)));
    return {0, 0, FWidth - (rect.right - rect.left), FHeight - (rect.bottom - rect.top)};
  }
  ::GetClientRect(FHandle, &rect);
  return rect;
}

TPoint TWinControl::GetClientOrigin()
{
  POINT origin{0, 0};
  ::ClientToScreen(GetHandle(), &origin);
  return origin;
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
  if (!CheckNewSize(AWidth, AHeight))
    return;
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
    return;
  const bool resized = AWidth != FWidth || AHeight != FHeight;
  if (FHandle && !IsIconic(FHandle)) {
    // WM_WINDOWPOSCHANGED reads the bounds back and WM_SIZE realigns.
    SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    if (FHandle) {
      // A minimised window comes back to these bounds.
      WINDOWPLACEMENT placement{};
      placement.length = sizeof(placement);
      GetWindowPlacement(FHandle, &placement);
      placement.rcNormalPosition = GetBoundsRect();
      SetWindowPlacement(FHandle, &placement);
    }
    // No window tells of the new size: the children follow it here.
    if (resized && !FHandle) {
      Realign();
      if (!GetComponentState().Contains(csLoading))
        Resize();
    }
  }
  UpdateAnchorRules();
  RequestAlign();
}

void TWinControl::WMWindowPosChanged(TWMWindowPosChanged& AMessage)
{
  if (FHandle && AMessage.WindowPos && !FControlState.Contains(csDestroyingHandle))
    UpdateBounds();
  InheritedMessage(this, AMessage);
}

void TWinControl::WMSize(TWMSize& AMessage)
{
  if (FHandle)
    UpdateBounds();
  InheritedMessage(this, AMessage);
  Realign();
  if (!GetComponentState().Contains(csLoading))
    Resize();
}

void TWinControl::WMMove(TWMMove& AMessage)
{
  InheritedMessage(this, AMessage);
  if (FHandle)
    UpdateBounds();
}

// ---------------------------------------------------------------------------
// Children

int TWinControl::GetControlCount() const
{
  return static_cast<int>(FControls.size() + FWinControls.size());
}

TControl* TWinControl::GetControls(int AIndex) const
{
  const int graphic = static_cast<int>(FControls.size());
  if (AIndex < 0 || AIndex >= GetControlCount())
    throw rtl::EListError(rtl::Format(L"List index out of bounds (%d)", {AIndex}));
  return AIndex < graphic ? FControls[AIndex] : FWinControls[AIndex - graphic];
}

void TWinControl::InsertControl(TControl* AControl)
{
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), TRUE);
  if (rtl::Is<TWinControl>(AControl)) {
    FWinControls.push_back(static_cast<TWinControl*>(AControl));
    FTabList.push_back(static_cast<TWinControl*>(AControl));
  } else {
    FControls.push_back(AControl);
  }
  AControl->FParent = this;
  if (!AControl->GetComponentState().Contains(csReading)) {
    AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
    AControl->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    AControl->Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
    if (rtl::Is<TWinControl>(AControl))
      static_cast<TWinControl*>(AControl)->UpdateControlState();
    else if (FHandle)
      AControl->Invalidate();
    AlignControl(AControl);
  }
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), TRUE);
}

void TWinControl::RemoveControl(TControl* AControl)
{
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), FALSE);
  if (rtl::Is<TWinControl>(AControl)) {
    auto* child = static_cast<TWinControl*>(AControl);
    // A focused control that leaves hands the focus bookkeeping to the
    // parent it leaves.
    TWinControl* top = TopLevelControl();
    if (top->FFocusedControl && child->ContainsControl(top->FFocusedControl))
      top->FFocusedControl = this;
    child->DestroyHandle();
    std::erase(FWinControls, child);
    std::erase(FTabList, child);
  } else {
    if (FHandle)
      AControl->InvalidateControl(AControl->FVisible, false);
    std::erase(FControls, AControl);
  }
  if (FMouseControl == AControl)
    FMouseControl = nullptr;
  AControl->FParent = nullptr;
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), FALSE);
  Realign();
}

void TWinControl::SetParent(TWinControl* AParent)
{
  inherited::SetParent(AParent);
}

bool TWinControl::ContainsControl(TControl* AControl) const
{
  while (AControl && AControl != this)
    AControl = AControl->FParent;
  return AControl != nullptr;
}

TControl* TWinControl::ControlAtPos(const TPoint& APos, bool AAllowDisabled, bool AAllowWinControls,
                                    bool AAllLevels)
{
  const auto hits = [&](TControl* AControl) {
    if (!AControl->FVisible || (!AAllowDisabled && !AControl->GetEnabled()))
      return false;
    const TRect bounds = AControl->GetBoundsRect();
    if (!PtInRect(&bounds, APos))
      return false;
    const TPoint local{APos.x - AControl->FLeft, APos.y - AControl->FTop};
    return AControl->Perform(CM_HITTEST, 0, PointToLParam(local)) != 0;
  };
  if (AAllowWinControls)
    for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it)
      if (hits(*it)) {
        if (AAllLevels) {
          const TPoint local{APos.x - (*it)->FLeft, APos.y - (*it)->FTop};
          if (TControl* inner = (*it)->ControlAtPos(local, AAllowDisabled, true, true))
            return inner;
        }
        return *it;
      }
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
    if (hits(*it))
      return *it;
  return nullptr;
}

void TWinControl::Broadcast(TMessage& AMessage)
{
  for (int i = 0; i < GetControlCount(); ++i) {
    GetControls(i)->FWindowProc(AMessage);
    if (AMessage.Result != 0)
      return;
  }
}

void TWinControl::NotifyControls(UINT AMsg)
{
  TMessage message{AMsg, 0, 0, 0};
  Broadcast(message);
}

void TWinControl::GetChildren(const rtl::TGetChildProc& AProc, TComponent* ARoot)
{
  for (int i = 0; i < GetControlCount(); ++i) {
    TControl* control = GetControls(i);
    if (control->GetOwner() == ARoot)
      AProc(control);
  }
}

TWinControl* TWinControl::TopLevelControl()
{
  TWinControl* control = this;
  while (control->FParent)
    control = control->FParent;
  return control;
}

// ---------------------------------------------------------------------------
// Alignment

void TWinControl::DisableAlign()
{
  ++FAlignLevel;
}

void TWinControl::EnableAlign()
{
  if (--FAlignLevel != 0)
    return;
  if (FControlState.Contains(csAlignmentNeeded))
    Realign();
}

void TWinControl::Realign()
{
  AlignControl(nullptr);
}

void TWinControl::AlignControl(TControl* AControl)
{
  if (GetComponentState().Contains(csDestroying))
    return;
  if (FAlignLevel != 0) {
    FControlState.Include(csAlignmentNeeded);
    return;
  }
  DisableAlign();
  TRect rect = GetClientRect();
  try {
    AlignControls(AControl, rect);
  } catch (...) {
    FControlState.Exclude(csAlignmentNeeded);
    --FAlignLevel;
    throw;
  }
  FControlState.Exclude(csAlignmentNeeded);
  EnableAlign();
}

void TWinControl::AlignControls(TControl* AControl, TRect& ARect)
{
  AdjustClientRect(ARect);
  FControlState.Include(csAligning);
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient, alCustom, alNone})
    DoAlign(align, AControl, ARect);
  FControlState.Exclude(csAligning);
}

// The controls of one alignment in the order they stack: along the edge
// they are aligned to, AControl (being moved) first among equals.
void TWinControl::DoAlign(TAlign AAlign, TControl* AControl, TRect& ARect)
{
  const auto aligns = [AAlign](TControl* C) {
    if (!C->FVisible)
      return false;
    if (AAlign == alNone)
      return C->FAlign == alNone && C->FAnchors != TAnchors{akLeft, akTop};
    return C->FAlign == AAlign;
  };
  const auto before = [AAlign](TControl* C1, TControl* C2) {
    switch (AAlign) {
      case alTop:
        return C1->FTop < C2->FTop;
      case alBottom:
        return C1->FTop + C1->FHeight >= C2->FTop + C2->FHeight;
      case alLeft:
        return C1->FLeft < C2->FLeft;
      case alRight:
        return C1->FLeft + C1->FWidth >= C2->FLeft + C2->FWidth;
      default:
        return false;
    }
  };
  std::vector<TControl*> list;
  if (AControl && aligns(AControl))
    list.push_back(AControl);
  for (int i = 0; i < GetControlCount(); ++i) {
    TControl* control = GetControls(i);
    if (control == AControl || !aligns(control))
      continue;
    auto at = std::find_if(list.begin(), list.end(), [&](TControl* C) { return before(control, C); });
    list.insert(at, control);
  }
  for (TControl* control : list)
    DoPosition(control, AAlign, ARect);
}

void TWinControl::DoPosition(TControl* AControl, TAlign AAlign, TRect& ARect)
{
  TControl& c = *AControl;
  if (AAlign == alNone) {
    if (c.FOriginalParentSize.x == 0 || c.FOriginalParentSize.y == 0)
      return;
    const TRect client = GetClientRect();
    const TPoint parentSize{client.right - client.left, client.bottom - client.top};
    int left = c.FLeft;
    int top = c.FTop;
    int width = c.FWidth;
    int height = c.FHeight;
    if (c.FAnchors.Contains(akRight)) {
      if (c.FAnchors.Contains(akLeft))
        width = parentSize.x - (c.FOriginalParentSize.x - c.FAnchorRules.x);
      else
        left = parentSize.x - (c.FOriginalParentSize.x - c.FAnchorRules.x);
    } else if (!c.FAnchors.Contains(akLeft)) {
      left = MulDiv(c.FAnchorRules.x, parentSize.x, c.FOriginalParentSize.x) - width / 2;
    }
    if (c.FAnchors.Contains(akBottom)) {
      if (c.FAnchors.Contains(akTop))
        height = parentSize.y - (c.FOriginalParentSize.y - c.FAnchorRules.y);
      else
        top = parentSize.y - (c.FOriginalParentSize.y - c.FAnchorRules.y);
    } else if (!c.FAnchors.Contains(akTop)) {
      top = MulDiv(c.FAnchorRules.y, parentSize.y, c.FOriginalParentSize.y) - height / 2;
    }
    c.FAnchorMove = true;
    try {
      c.SetBounds(left, top, width, height);
    } catch (...) {
      c.FAnchorMove = false;
      throw;
    }
    c.FAnchorMove = false;
    return;
  }
  if (AAlign == alCustom)
    return;
  const int rectWidth = ARect.right - ARect.left;
  const int rectHeight = ARect.bottom - ARect.top;
  switch (AAlign) {
    case alTop:
      c.SetBounds(ARect.left, ARect.top, rectWidth, c.FHeight);
      ARect.top += c.FHeight;
      break;
    case alBottom:
      c.SetBounds(ARect.left, ARect.bottom - c.FHeight, rectWidth, c.FHeight);
      ARect.bottom -= c.FHeight;
      break;
    case alLeft:
      c.SetBounds(ARect.left, ARect.top, c.FWidth, rectHeight);
      ARect.left += c.FWidth;
      break;
    case alRight:
      c.SetBounds(ARect.right - c.FWidth, ARect.top, c.FWidth, rectHeight);
      ARect.right -= c.FWidth;
      break;
    case alClient:
      c.SetBounds(ARect.left, ARect.top, rectWidth, rectHeight);
      break;
    default:
      break;
  }
}

// ---------------------------------------------------------------------------
// Tab order and focus

TTabOrder TWinControl::GetTabOrder() const
{
  if (!FParent)
    return -1;
  const auto& list = FParent->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<TTabOrder>(it - list.begin());
}

void TWinControl::SetTabOrder(TTabOrder AValue)
{
  if (FControlState.Contains(csReadingState))
    FTabOrder = AValue;
  else
    UpdateTabOrder(AValue);
}

void TWinControl::UpdateTabOrder(TTabOrder AValue)
{
  const TTabOrder current = GetTabOrder();
  if (current < 0)
    return;
  auto& list = FParent->FTabList;
  const int count = static_cast<int>(list.size());
  AValue = std::clamp(AValue, 0, count - 1);
  if (AValue == current)
    return;
  list.erase(list.begin() + current);
  list.insert(list.begin() + AValue, this);
}

// The tab orders read from a form file, applied lowest first.
void TWinControl::FixupTabList()
{
  std::vector<TWinControl*> list = FWinControls;
  std::stable_sort(list.begin(), list.end(),
                   [](TWinControl* A, TWinControl* B) { return A->FTabOrder < B->FTabOrder; });
  for (TWinControl* control : list)
    if (control->FTabOrder >= 0)
      control->UpdateTabOrder(control->FTabOrder);
}

void TWinControl::SetTabStop(bool AValue)
{
  if (FTabStop == AValue)
    return;
  FTabStop = AValue;
  Perform(CM_TABSTOPCHANGED, 0, 0);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& AList)
{
  for (TWinControl* control : FTabList) {
    AList.push_back(control);
    control->GetTabOrderList(AList);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* ACurControl, bool AGoForward, bool ACheckTabStop,
                                          bool ACheckParent)
{
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty())
    return nullptr;
  const int count = static_cast<int>(list.size());
  auto found = std::find(list.begin(), list.end(), ACurControl);
  int start = found == list.end() ? (AGoForward ? count - 1 : 0) : static_cast<int>(found - list.begin());
  int i = start;
  do {
    i = AGoForward ? (i + 1) % count : (i + count - 1) % count;
    TWinControl* control = list[i];
    if (control->CanFocus() && (!ACheckTabStop || control->FTabStop) && (!ACheckParent || control->FParent == this))
      return control;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* ACurControl, bool AGoForward, bool ACheckTabStop)
{
  if (TWinControl* next = FindNextControl(ACurControl, AGoForward, ACheckTabStop, !ACheckTabStop))
    next->SetFocus();
}

bool TWinControl::CanFocus()
{
  for (TControl* control = this; control; control = control->FParent)
    if (!control->FVisible || !control->GetEnabled())
      return false;
  return true;
}

bool TWinControl::Focused()
{
  return FHandle && GetFocus() == FHandle;
}

void TWinControl::SetFocus()
{
  if (!CanFocus())
    throw rtl::EInvalidOperation(L"Cannot focus a disabled or invisible window");
  ::SetFocus(GetHandle());
}

bool TWinControl::SetFocusedControl(TWinControl* AControl)
{
  if (AControl->FControlState.Contains(csFocusing))
    return false;
  AControl->FControlState.Include(csFocusing);
  // An OnEnter handler may free the control being entered.
  rtl::TFreeWatch watch(AControl);
  rtl::Finally focusing([AControl, &watch] {
    if (!watch.Freed())
      AControl->FControlState.Exclude(csFocusing);
  });
  if (!FFocusedControl)
    FFocusedControl = this;
  if (FFocusedControl == AControl)
    return true;
  // CM_EXIT up to the common parent, then CM_ENTER down to the control; a
  // handler that moves the focus ends the walk.
  while (FFocusedControl && !FFocusedControl->ContainsControl(AControl)) {
    const HWND focus = GetFocus();
    TWinControl* exiting = FFocusedControl;
    exiting->Perform(CM_EXIT, 0, 0);
    if (GetFocus() != focus)
      return false;
    // A control freed by its own exit handed the bookkeeping to its parent,
    // which has yet to hear its exit.
    if (FFocusedControl == exiting)
      FFocusedControl = exiting->FParent;
  }
  while (FFocusedControl != AControl) {
    TWinControl* next = AControl;
    while (next->FParent != FFocusedControl)
      next = next->FParent;
    FFocusedControl = next;
    const HWND focus = GetFocus();
    next->Perform(CM_ENTER, 0, 0);
    if (watch.Freed() || GetFocus() != focus)
      return false;
  }
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(AControl));
  return true;
}

void TWinControl::WMSetFocus(TWMSetFocus& AMessage)
{
  if (!TopLevelControl()->SetFocusedControl(this))
    return;
  InheritedMessage(this, AMessage);
}

void TWinControl::WMKillFocus(TWMKillFocus& AMessage)
{
  InheritedMessage(this, AMessage);
}

void TWinControl::CMEnter(TMessage& /*AMessage*/)
{
  DoEnter();
}

void TWinControl::CMExit(TMessage& /*AMessage*/)
{
  DoExit();
}

void TWinControl::CMFocusChanged(TCMFocusChanged& AMessage)
{
  Broadcast(reinterpret_cast<TMessage&>(AMessage));
}

void TWinControl::DoEnter()
{
  if (FOnEnter)
    FOnEnter(this);
}

void TWinControl::DoExit()
{
  if (FOnExit)
    FOnExit(this);
}

// ---------------------------------------------------------------------------
// Keys

void TWinControl::KeyDown(WORD& AKey, TShiftState AShift)
{
  if (FOnKeyDown)
    FOnKeyDown(this, AKey, AShift);
}

void TWinControl::KeyUp(WORD& AKey, TShiftState AShift)
{
  if (FOnKeyUp)
    FOnKeyUp(this, AKey, AShift);
}

void TWinControl::KeyPress(wchar_t& AKey)
{
  if (FOnKeyPress)
    FOnKeyPress(this, AKey);
}

bool TWinControl::DoKeyDown(TWMKey& AMessage)
{
  if (FControlStyle.Contains(csNoStdEvents))
    return false;
  KeyDown(AMessage.CharCode, KeyDataToShiftState(AMessage.KeyData));
  return AMessage.CharCode == 0;
}

bool TWinControl::DoKeyUp(TWMKey& AMessage)
{
  if (FControlStyle.Contains(csNoStdEvents))
    return false;
  KeyUp(AMessage.CharCode, KeyDataToShiftState(AMessage.KeyData));
  return AMessage.CharCode == 0;
}

bool TWinControl::DoKeyPress(TWMKey& AMessage)
{
  if (FControlStyle.Contains(csNoStdEvents))
    return false;
  wchar_t key = static_cast<wchar_t>(AMessage.CharCode);
  KeyPress(key);
  AMessage.CharCode = key;
  return key == 0;
}

// A key handler may free the control (a key that closes its page): what it
// freed is not handed on to the default handling.
void TWinControl::WMKeyDown(TWMKey& AMessage)
{
  rtl::TFreeWatch watch(this);
  if (!DoKeyDown(AMessage) && !watch.Freed())
    InheritedMessage(this, AMessage);
}

void TWinControl::WMSysKeyDown(TWMKey& AMessage)
{
  rtl::TFreeWatch watch(this);
  if (!DoKeyDown(AMessage) && !watch.Freed())
    InheritedMessage(this, AMessage);
}

void TWinControl::WMKeyUp(TWMKey& AMessage)
{
  rtl::TFreeWatch watch(this);
  if (!DoKeyUp(AMessage) && !watch.Freed())
    InheritedMessage(this, AMessage);
}

void TWinControl::WMSysKeyUp(TWMKey& AMessage)
{
  rtl::TFreeWatch watch(this);
  if (!DoKeyUp(AMessage) && !watch.Freed())
    InheritedMessage(this, AMessage);
}

void TWinControl::WMChar(TWMKey& AMessage)
{
  rtl::TFreeWatch watch(this);
  if (!DoKeyPress(AMessage) && !watch.Freed())
    InheritedMessage(this, AMessage);
}

// A key down offered as a short cut: to the popup menus of the control and
// its parents, nearest first, then to the form.
bool TWinControl::IsMenuKey(TWMKey& AMessage)
{
  if (GetComponentState().Contains(csDesigning))
    return false;
  for (TWinControl* control = this; control; control = control->GetParent()) {
    TPopupMenu* menu = control->GetPopupMenu();
    if (menu && menu->IsShortCut(AMessage))
      return true;
  }
  TCustomForm* form = GetParentForm(this);
  return form && form->IsShortCut(AMessage);
}

// The focused control sees a key first as CN_KEYDOWN: its parents may take
// it (CM_CHILDKEY), and Tab, arrows, Enter and Esc go to the top-level
// control as CM_DIALOGKEY unless the control wants them (WM_GETDLGCODE).
// Result 1 = handled, no WM_KEYDOWN follows.
void TWinControl::CNKeyDown(TWMKey& AMessage)
{
  AMessage.Result = 1;
  if (IsMenuKey(AMessage))
    return;
  if (!GetComponentState().Contains(csDesigning)) {
    if (Perform(CM_CHILDKEY, AMessage.CharCode, reinterpret_cast<LPARAM>(this)) != 0)
      return;
    LRESULT mask = 0;
    switch (AMessage.CharCode) {
      case VK_TAB:
        mask = DLGC_WANTTAB;
        break;
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN:
        mask = DLGC_WANTARROWS;
        break;
      case VK_RETURN:
      case VK_EXECUTE:
      case VK_ESCAPE:
      case VK_CANCEL:
        mask = DLGC_WANTALLKEYS;
        break;
      default:
        break;
    }
    if (mask != 0 && Perform(CM_WANTSPECIALKEY, AMessage.CharCode, 0) == 0 &&
        (Perform(WM_GETDLGCODE, 0, 0) & mask) == 0 &&
        TopLevelControl()->Perform(CM_DIALOGKEY, AMessage.CharCode, AMessage.KeyData) != 0)
      return;
  }
  AMessage.Result = 0;
}

void TWinControl::CNChar(TWMKey& AMessage)
{
  if (GetComponentState().Contains(csDesigning))
    return;
  AMessage.Result = 1;
  if ((Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0 &&
      TopLevelControl()->Perform(CM_DIALOGCHAR, AMessage.CharCode, AMessage.KeyData) != 0)
    return;
  AMessage.Result = 0;
}

void TWinControl::CMChildKey(TCMChildKey& AMessage)
{
  if (FParent)
    AMessage.Result = FParent->Perform(CM_CHILDKEY, AMessage.CharCode, reinterpret_cast<LPARAM>(AMessage.Sender));
}

void TWinControl::CMDialogKey(TCMDialogKey& AMessage)
{
  Broadcast(reinterpret_cast<TMessage&>(AMessage));
}

void TWinControl::CMDialogChar(TCMDialogChar& AMessage)
{
  Broadcast(reinterpret_cast<TMessage&>(AMessage));
}

// ---------------------------------------------------------------------------
// Mouse

void TWinControl::WndProc(TMessage& AMessage)
{
  switch (AMessage.Msg) {
    case WM_KILLFOCUS:
      if (FControlState.Contains(csFocusing))
        return;
      break;
    case WM_NCHITTEST:
      inherited::WndProc(AMessage);
      if (AMessage.Result == HTTRANSPARENT) {
        const TPoint pos = MessageAs<TWMNCHitTest>(AMessage).Pos();
        if (ControlAtPos(ScreenToClient(pos), false))
          AMessage.Result = HTCLIENT;
      }
      return;
    case WM_CANCELMODE:
      if (FHandle && GetCapture() == FHandle) {
        TControl* captured = GetCaptureControl();
        if (captured && captured != this && captured->FParent == this)
          captured->Perform(WM_CANCELMODE, 0, 0);
      }
      break;
    default:
      break;
  }
  if (AMessage.Msg == WM_MOUSEMOVE && FHandle) {
    if (!FMouseInClient) {
      FMouseInClient = true;
      TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, FHandle, 0};
      TrackMouseEvent(&track);
      Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(this));
    }
    const TWMMouse& mouse = MessageAs<TWMMouse>(AMessage);
    UpdateMouseControl(GetCapture() == FHandle ? FMouseControl : ControlAtPos(mouse.Pos(), false));
  }
  if (IsClientMouseMessage(AMessage.Msg)) {
    // The child's handlers may take the window away (Parent := nil) or
    // free this control altogether (a click that closes the page).
    rtl::TFreeWatch watch(this);
    if (IsControlMouseMsg(MessageAs<TWMMouse>(AMessage))) {
      if (!watch.Freed() && AMessage.Result == 0 && FHandle)
        DefWindowProcW(FHandle, AMessage.Msg, AMessage.WParam, AMessage.LParam);
      return;
    }
  }
  inherited::WndProc(AMessage);
}

bool TWinControl::IsControlMouseMsg(TWMMouse& AMessage)
{
  TControl* control = nullptr;
  if (FHandle && GetCapture() == FHandle) {
    TControl* captured = GetCaptureControl();
    if (captured && captured != this && captured->FParent == this)
      control = captured;
  } else {
    control = ControlAtPos(AMessage.Pos(), false);
  }
  if (!control)
    return false;
  const TPoint local{AMessage.XPos - control->FLeft, AMessage.YPos - control->FTop};
  AMessage.Result = control->Perform(AMessage.Msg, AMessage.Keys, PointToLParam(local));
  return true;
}

void TWinControl::UpdateMouseControl(TControl* AControl)
{
  if (AControl == FMouseControl)
    return;
  TControl* old = std::exchange(FMouseControl, AControl);
  if (old)
    old->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(old));
  if (AControl)
    AControl->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(AControl));
}

void TWinControl::WMMouseLeave(TMessage& AMessage)
{
  FMouseInClient = false;
  UpdateMouseControl(nullptr);
  Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
  InheritedMessage(this, AMessage);
}

// The wheel becomes CM_MOUSEWHEEL, which goes up the parents until one
// handles it; unhandled, the window's own procedure gets it.
void TWinControl::WMMouseWheel(TWMMouseWheel& AMessage)
{
  TMessage& message = reinterpret_cast<TMessage&>(AMessage);
  const WPARAM keys = message.WParam;
  TCMMouseWheel& wheel = MessageAs<TCMMouseWheel>(message);
  wheel.ShiftStateOrd = static_cast<WORD>(KeysToShiftState(static_cast<WORD>(AMessage.Keys)).ToOrd());
  message.Result = Perform(CM_MOUSEWHEEL, message.WParam, message.LParam);
  if (message.Result != 0)
    return;
  // The window's procedure (and the parent window it hands the wheel to)
  // reads MK_* flags, not the shift state.
  message.WParam = keys;
  InheritedMessage(this, AMessage);
}

void TWinControl::WMSetCursor(TWMSetCursor& AMessage)
{
  if (AMessage.CursorWnd == FHandle && static_cast<SHORT>(AMessage.HitTest) == HTCLIENT) {
    TPoint pos{};
    ::GetCursorPos(&pos);
    TCursor cursor = crDefault;
    if (TControl* control = ControlAtPos(ScreenToClient(pos), false))
      cursor = control->GetCursor();
    if (cursor == crDefault)
      cursor = GetCursor();
    if (cursor != crDefault) {
      ::SetCursor(StandardCursor(cursor));
      AMessage.Result = 1;
      return;
    }
  }
  InheritedMessage(this, AMessage);
}

// ---------------------------------------------------------------------------
// Reflection

bool TWinControl::DoControlMsg(HWND AChild, TMessage& AMessage)
{
  TWinControl* control = FindControl(AChild);
  if (!control)
    return false;
  AMessage.Result = control->Perform(CN_BASE + AMessage.Msg, AMessage.WParam, AMessage.LParam);
  return true;
}

void TWinControl::WMCommand(TWMCommand& AMessage)
{
  if (!DoControlMsg(AMessage.Ctl, reinterpret_cast<TMessage&>(AMessage)))
    InheritedMessage(this, AMessage);
}

void TWinControl::WMNotify(TWMNotify& AMessage)
{
  if (!AMessage.NMHdr || !DoControlMsg(AMessage.NMHdr->hwndFrom, reinterpret_cast<TMessage&>(AMessage)))
    InheritedMessage(this, AMessage);
}

void TWinControl::WMDrawItem(TWMDrawItem& AMessage)
{
  const DRAWITEMSTRUCT* item = AMessage.DrawItemStruct;
  if (!item || item->CtlType == ODT_MENU || !DoControlMsg(item->hwndItem, reinterpret_cast<TMessage&>(AMessage)))
    InheritedMessage(this, AMessage);
}

void TWinControl::WMMeasureItem(TWMMeasureItem& AMessage)
{
  const MEASUREITEMSTRUCT* item = AMessage.MeasureItemStruct;
  HWND child = item && item->CtlType != ODT_MENU && FHandle ? GetDlgItem(FHandle, static_cast<int>(item->CtlID))
                                                           : nullptr;
  if (!child || !DoControlMsg(child, reinterpret_cast<TMessage&>(AMessage)))
    InheritedMessage(this, AMessage);
}

void TWinControl::WMCompareItem(TMessage& AMessage)
{
  const auto* item = reinterpret_cast<const COMPAREITEMSTRUCT*>(AMessage.LParam);
  if (!item || !DoControlMsg(item->hwndItem, AMessage))
    InheritedMessage(this, AMessage);
}

void TWinControl::WMDeleteItem(TMessage& AMessage)
{
  const auto* item = reinterpret_cast<const DELETEITEMSTRUCT*>(AMessage.LParam);
  if (!item || !DoControlMsg(item->hwndItem, AMessage))
    InheritedMessage(this, AMessage);
}

void TWinControl::WMHScroll(TWMScroll& AMessage)
{
  if (!AMessage.ScrollBar || !DoControlMsg(AMessage.ScrollBar, reinterpret_cast<TMessage&>(AMessage)))
    InheritedMessage(this, AMessage);
}

void TWinControl::WMVScroll(TWMScroll& AMessage)
{
  if (!AMessage.ScrollBar || !DoControlMsg(AMessage.ScrollBar, reinterpret_cast<TMessage&>(AMessage)))
    InheritedMessage(this, AMessage);
}

// WM_CTLCOLOR* go to the child as CN_CTLCOLOR*; a child that does not
// answer them paints with its font colour on its brush.
void TWinControl::DefaultHandler(TMessage& AMessage)
{
  if (!FHandle) {
    inherited::DefaultHandler(AMessage);
    return;
  }
  if (AMessage.Msg == WM_CONTEXTMENU && FParent) {
    AMessage.Result = FParent->Perform(AMessage.Msg, AMessage.WParam, AMessage.LParam);
    // DefWindowProc would hand it to the parent window a second time.
    if (AMessage.Result != 0 || FDefWndProc == &DefWindowProcW)
      return;
  }
  if (AMessage.Msg >= WM_CTLCOLORMSGBOX && AMessage.Msg <= WM_CTLCOLORSTATIC) {
    AMessage.Result = SendMessageW(reinterpret_cast<HWND>(AMessage.LParam), CN_BASE + AMessage.Msg,
                                   AMessage.WParam, AMessage.LParam);
    return;
  }
  if (AMessage.Msg >= CN_CTLCOLORMSGBOX && AMessage.Msg <= CN_CTLCOLORSTATIC) {
    const HDC dc = reinterpret_cast<HDC>(AMessage.WParam);
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(FFont->GetColor())));
    SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(FBrush->GetColor())));
    AMessage.Result = reinterpret_cast<LRESULT>(FBrush->GetHandle());
    return;
  }
  AMessage.Result = CallWindowProcW(FDefWndProc, FHandle, AMessage.Msg, AMessage.WParam, AMessage.LParam);
}

// ---------------------------------------------------------------------------
// Painting

void TWinControl::Invalidate()
{
  Perform(CM_INVALIDATE, 0, 0);
}

// WParam 1: a child was invalidated; the parent learns of it without
// repainting itself.
void TWinControl::CMInvalidate(TMessage& AMessage)
{
  if (!FHandle)
    return;
  if (FParent)
    FParent->Perform(CM_INVALIDATE, 1, 0);
  if (AMessage.WParam == 0)
    InvalidateRect(FHandle, nullptr, !FControlStyle.Contains(csOpaque));
}

void TWinControl::Repaint()
{
  Invalidate();
  Update();
}

void TWinControl::Update()
{
  if (FHandle)
    UpdateWindow(FHandle);
}

HDC TWinControl::GetDeviceContext(HWND& AWindow)
{
  AWindow = GetHandle();
  HDC result = GetDCEx(AWindow, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  if (!result)
    throw EOutOfResources(L"Out of system resources");
  return result;
}

void TWinControl::SetDoubleBuffered(bool AValue)
{
  if (FDoubleBuffered == AValue)
    return;
  FDoubleBuffered = AValue;
  Perform(CM_DOUBLEBUFFEREDCHANGED, 0, 0);
}

void TWinControl::SetParentBackground(bool AValue)
{
  if (GetParentBackground() == AValue)
    return;
  if (AValue)
    FControlStyle.Include(csParentBackground);
  else
    FControlStyle.Exclude(csParentBackground);
  Invalidate();
}

// The parent's background behind the control: the parent erases into the
// DC moved to its own origin.
void TWinControl::DrawParentBackground(HDC ADC)
{
  TSaveDCGuard saved(ADC);
  POINT origin{};
  GetWindowOrgEx(ADC, &origin);
  SetWindowOrgEx(ADC, origin.x + FLeft, origin.y + FTop, nullptr);
  FParent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(ADC), reinterpret_cast<LPARAM>(ADC));
}

// Double-buffered controls erase into their buffer in WM_PAINT; the
// platform's erase (WParam differs from LParam) is skipped for them.
void TWinControl::WMEraseBkgnd(TWMEraseBkgnd& AMessage)
{
  if (FControlStyle.Contains(csParentBackground) && FParent) {
    DrawParentBackground(AMessage.DC);
  } else if (!FDoubleBuffered || reinterpret_cast<TMessage&>(AMessage).WParam ==
                                     static_cast<WPARAM>(reinterpret_cast<TMessage&>(AMessage).LParam)) {
    const TRect client = GetClientRect();
    FillRect(AMessage.DC, &client, FBrush->GetHandle());
  }
  AMessage.Result = 1;
}

void TWinControl::WMPaint(TWMPaint& AMessage)
{
  if (!FDoubleBuffered || AMessage.DC) {
    if (!FControlState.Contains(csCustomPaint) && GetControlCount() == 0)
      InheritedMessage(this, AMessage);
    else
      PaintHandler(AMessage);
    return;
  }
  const TRect client = GetClientRect();
  TOwnedBitmap buffer;
  {
    TWindowDC screen(nullptr);
    buffer.Reset(
        CreateCompatibleBitmap(screen.Get(), std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1)));
  }
  TOwnedDC memoryDC(CreateCompatibleDC(nullptr));
  TSelectObjectGuard selected(memoryDC.Get(), buffer.Get());
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(FHandle, &paint);
  struct TEndPaint {
    HWND Wnd;
    PAINTSTRUCT* Paint;
    ~TEndPaint() { EndPaint(Wnd, Paint); }
  } endPaint{FHandle, &paint};
  Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memoryDC.Get()), reinterpret_cast<LPARAM>(memoryDC.Get()));
  AMessage.DC = memoryDC.Get();
  WMPaint(AMessage);
  AMessage.DC = nullptr;
  BitBlt(dc, 0, 0, client.right, client.bottom, memoryDC.Get(), 0, 0, SRCCOPY);
}

// WM_PRINT's request for the client area: painted as for WM_PAINT, into
// the given DC.
void TWinControl::WMPrintClient(TMessage& AMessage)
{
  if ((AMessage.LParam & PRF_CHECKVISIBLE) && !FVisible) {
    InheritedMessage(this, AMessage);
    return;
  }
  // A double-buffered control skipped the platform's erase, as it erases
  // into its buffer when it paints: the print erases the same way.
  if (FDoubleBuffered)
    Perform(WM_ERASEBKGND, AMessage.WParam, static_cast<LPARAM>(AMessage.WParam));
  TWMPaint paint{WM_PAINT, reinterpret_cast<HDC>(AMessage.WParam), 0, 0};
  PaintHandler(paint);
  AMessage.Result = paint.Result;
}

// Opaque non-windowed children are cut out of the clip before the control
// paints, then painted over it.
void TWinControl::PaintHandler(TWMPaint& AMessage)
{
  PAINTSTRUCT paint{};
  HDC dc = AMessage.DC;
  if (!dc)
    dc = BeginPaint(FHandle, &paint);
  struct TEndPaint {
    HWND Wnd;
    PAINTSTRUCT* Paint;
    bool Active;
    ~TEndPaint()
    {
      if (Active)
        EndPaint(Wnd, Paint);
    }
  } endPaint{FHandle, &paint, AMessage.DC == nullptr};
  if (FControls.empty()) {
    PaintWindow(dc);
  } else {
    TSaveDCGuard saved(dc);
    int clip = SIMPLEREGION;
    for (TControl* control : FControls)
      if (control->FVisible && control->FControlStyle.Contains(csOpaque)) {
        clip = ExcludeClipRect(dc, control->FLeft, control->FTop, control->FLeft + control->FWidth,
                               control->FTop + control->FHeight);
        if (clip == NULLREGION)
          break;
      }
    if (clip != NULLREGION)
      PaintWindow(dc);
  }
  PaintControls(dc, nullptr);
}

void TWinControl::PaintWindow(HDC ADC)
{
  TMessage message{WM_PAINT, reinterpret_cast<WPARAM>(ADC), 0, 0};
  DefaultHandler(message);
}

void TWinControl::PaintControls(HDC ADC, TControl* AFirst)
{
  std::size_t i = 0;
  if (AFirst) {
    auto it = std::find(FControls.begin(), FControls.end(), AFirst);
    if (it != FControls.end())
      i = static_cast<std::size_t>(it - FControls.begin());
  }
  for (; i < FControls.size(); ++i) {
    TControl* control = FControls[i];
    const TRect bounds = control->GetBoundsRect();
    if (!control->FVisible || !RectVisible(ADC, &bounds))
      continue;
    if (FControlState.Contains(csPaintCopy))
      control->FControlState.Include(csPaintCopy);
    {
      TSaveDCGuard saved(ADC);
      POINT origin{};
      GetWindowOrgEx(ADC, &origin);
      SetWindowOrgEx(ADC, origin.x - control->FLeft, origin.y - control->FTop, nullptr);
      IntersectClipRect(ADC, 0, 0, control->FWidth, control->FHeight);
      control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(ADC), 0);
    }
    control->FControlState.Exclude(csPaintCopy);
  }
}

void TWinControl::PaintTo(HDC ADC, int X, int Y)
{
  FControlState.Include(csPaintCopy);
  struct TPaintCopyGuard {
    TControlState& State;
    ~TPaintCopyGuard() { State.Exclude(csPaintCopy); }
  } guard{FControlState};
  {
    TSaveDCGuard saved(ADC);
    POINT origin{};
    GetWindowOrgEx(ADC, &origin);
    SetWindowOrgEx(ADC, origin.x - X, origin.y - Y, nullptr);
    IntersectClipRect(ADC, 0, 0, FWidth, FHeight);
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(ADC), reinterpret_cast<LPARAM>(ADC));
    Perform(WM_PAINT, reinterpret_cast<WPARAM>(ADC), 0);
  }
  for (TWinControl* child : FWinControls)
    if (child->FVisible)
      child->PaintTo(ADC, X + child->FLeft, Y + child->FTop);
}

// ---------------------------------------------------------------------------
// Streaming and scaling

void TWinControl::ReadState(rtl::TReader* AReader)
{
  DisableAlign();
  try {
    inherited::ReadState(AReader);
  } catch (...) {
    --FAlignLevel;
    throw;
  }
  EnableAlign();
  FixupTabList();
  UpdateControlState();
}

void TWinControl::ScaleControlsForDpi(int ANewPPI)
{
  DisableAlign();
  try {
    for (int i = 0; i < GetControlCount(); ++i)
      GetControls(i)->ScaleForPPI(ANewPPI);
  } catch (...) {
    --FAlignLevel;
    throw;
  }
  EnableAlign();
}

void TWinControl::ChangeScale(int M, int D, bool AIsDpiChange)
{
  if (M == D || D == 0)
    return;
  DisableAlign();
  try {
    for (int i = 0; i < GetControlCount(); ++i) {
      TControl* control = GetControls(i);
      control->ChangeScale(M, D, AIsDpiChange);
      if (AIsDpiChange)
        control->FCurrentPPI = MulDiv(control->FCurrentPPI, M, D);
    }
    inherited::ChangeScale(M, D, AIsDpiChange);
  } catch (...) {
    --FAlignLevel;
    throw;
  }
  EnableAlign();
}

}  // namespace vcl
