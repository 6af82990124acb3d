#include "controls/cxWindowUtils.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

#include "controls/dxForms.h"
#include "core/cxClasses.h"
#include "core/cxGeometry.h"
#include "core/dxCore.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/GraphicsHandles.h"

// ---------------------------------------------------------------------------
// Windows and forms

bool cxIsWindowOfCurrentProcess(HWND AWnd)
{
  if (!AWnd)
    return false;
  DWORD processId = 0;
  GetWindowThreadProcessId(AWnd, &processId);
  return processId == GetCurrentProcessId();
}

void cxApplyWindowFrameChange(HWND AWnd, bool AUpdate)
{
  SetWindowPos(AWnd, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
  if (AUpdate)
    UpdateWindow(AWnd);
}

WNDPROC cxSetWindowProc(HWND AWnd, WNDPROC AProc)
{
  return reinterpret_cast<WNDPROC>(SetWindowLongPtrW(AWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AProc)));
}

LONG cxModifyWindowLong(HWND AWnd, int AIndex, LONG AValue, TcxWindowLongMode AMode)
{
  const int index = AIndex == 0 ? GWL_STYLE : GWL_EXSTYLE;
  LONG value = AValue;
  if (AMode != TcxWindowLongMode::Set) {
    const LONG current = GetWindowLongW(AWnd, index);
    value = AMode == TcxWindowLongMode::Include ? current | AValue : current & ~AValue;
  }
  return SetWindowLongW(AWnd, index, value);
}

bool cxIsWindowLayoutRTL(HWND AWnd)
{
  return (GetWindowLongW(AWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
}

bool cxIsChildStyleWindow(HWND AWnd)
{
  return (GetWindowLongW(AWnd, GWL_STYLE) & WS_CHILD) != 0;
}

bool cxIsSameOrChildWindow(HWND AParent, HWND AWnd)
{
  return AParent && (AParent == AWnd || IsChild(AParent, AWnd));
}

bool cxIsAncestorWindow(HWND AAncestor, HWND AWnd)
{
  if (!AAncestor)
    return false;
  for (HWND wnd = GetParent(AWnd); wnd; wnd = GetParent(wnd))
    if (wnd == AAncestor)
      return true;
  return false;
}

bool cxIsWindowEnabledWithParents(HWND AWnd)
{
  for (HWND wnd = AWnd;; wnd = GetAncestor(wnd, GA_PARENT)) {
    if (!IsWindowEnabled(wnd))
      return false;
    if (!cxIsChildStyleWindow(wnd))
      return true;
  }
}

bool cxIsControlWindowVisible(vcl::TWinControl* AControl)
{
  return AControl && AControl->HandleAllocated() && IsWindowVisible(AControl->GetHandle());
}

bool cxControlHasParent(vcl::TWinControl* AParent, vcl::TControl* AControl)
{
  if (!AParent || !AControl)
    return false;
  for (vcl::TWinControl* parent = AControl->GetParent(); parent; parent = parent->GetParent())
    if (parent == AParent)
      return true;
  return false;
}

bool cxWindowOrParentHasFocus(HWND AWnd)
{
  for (HWND wnd = GetFocus(); wnd; wnd = GetParent(wnd)) {
    if (wnd == AWnd)
      return true;
    if (!cxIsChildStyleWindow(wnd))
      break;
  }
  return false;
}

vcl::TWinControl* cxFindControlByWindow(HWND AWnd)
{
  return AWnd ? vcl::FindControl(AWnd) : nullptr;
}

vcl::TWinControl* cxFindParentControlByWindow(HWND AWnd)
{
  for (HWND wnd = AWnd; wnd; wnd = GetAncestor(wnd, GA_PARENT))
    if (vcl::TWinControl* control = vcl::FindControl(wnd))
      return control;
  return nullptr;
}

vcl::TCustomForm* cxGetParentFormOfWindow(HWND AWnd)
{
  vcl::TWinControl* control = cxFindControlByWindow(AWnd);
  return control ? vcl::GetParentForm(control) : nullptr;
}

vcl::TCustomForm* cxGetActiveForm()
{
  if (vcl::TCustomForm* form = vcl::Screen()->GetActiveForm())
    return form;
  return cxGetParentFormOfWindow(GetActiveWindow());
}

vcl::TCustomForm* cxGetHostParentForm(vcl::TControl* AControl)
{
  vcl::TCustomForm* form = AControl ? vcl::GetParentForm(AControl) : nullptr;
  rtl::IPtr<IdxFloatForm> floatForm;
  if (rtl::Supports<IdxFloatForm>(form, &floatForm))
    return floatForm->FloatFormGetOwnerForm();
  return form;
}

void cxPerformUpToForm(vcl::TControl* AControl, UINT AMsg)
{
  for (vcl::TControl* control = AControl; control && !rtl::Is<vcl::TCustomForm>(control);
       control = control->GetParent())
    control->Perform(AMsg, 0, 0);
}

void cxRecreateControlWindow(vcl::TWinControl* AControl, bool APost)
{
  if (!AControl || !AControl->HandleAllocated())
    return;
  if (APost)
    PostMessageW(AControl->GetHandle(), rtl::CM_RECREATEWND, 0, 0);
  else
    AControl->Perform(rtl::CM_RECREATEWND, 0, 0);
}

void cxRedrawWindow(HWND AWnd, UINT AFlags)
{
  RedrawWindow(AWnd, nullptr, nullptr, AFlags);
}

void cxSendNCPaintForRect(HWND AWnd, const TRect& R)
{
  vcl::TOwnedRegion region(CreateRectRgnIndirect(&R));
  SendMessageW(AWnd, WM_NCPAINT, reinterpret_cast<WPARAM>(region.Get()), 0);
}

void cxSetWindowZOrder(HWND AWnd, HWND AInsertAfter, bool AActivate, UINT AFlags)
{
  UINT flags = SWP_NOMOVE | SWP_NOSIZE | AFlags;
  if (!AActivate)
    flags |= SWP_NOACTIVATE;
  SetWindowPos(AWnd, AInsertAfter, 0, 0, 0, 0, flags);
}

rtl::String cxReadWindowText(HWND AWnd)
{
  wchar_t buffer[1024];
  const int length = GetWindowTextW(AWnd, buffer, 1024);
  return length > 0 ? rtl::String(buffer, static_cast<std::size_t>(length)) : rtl::String();
}

// ---------------------------------------------------------------------------
// Rectangles and points

TRect cxGetWindowClientRect(HWND AWnd)
{
  TRect R{};
  return GetClientRect(AWnd, &R) ? R : TRect{};
}

TRect cxGetWindowScreenRect(HWND AWnd)
{
  TRect R{};
  return GetWindowRect(AWnd, &R) ? R : TRect{};
}

TRect cxGetControlWindowRect(vcl::TWinControl* AControl)
{
  return AControl && AControl->HandleAllocated() ? cxGetWindowScreenRect(AControl->GetHandle()) : TRect{};
}

TRect cxGetWindowSizeRect(HWND AWnd)
{
  const TRect R = cxGetWindowScreenRect(AWnd);
  return {0, 0, R.right - R.left, R.bottom - R.top};
}

TRect cxGetControlWindowSizeRect(vcl::TWinControl* AControl)
{
  const TRect R = cxGetControlWindowRect(AControl);
  return {0, 0, R.right - R.left, R.bottom - R.top};
}

TPoint cxClientToScreenPoint(HWND AWnd, const TPoint& P)
{
  TPoint result = P;
  ClientToScreen(AWnd, &result);
  return result;
}

TPoint cxGetClientOriginInWindow(HWND AWnd)
{
  const TRect window = cxGetWindowScreenRect(AWnd);
  const TPoint origin = cxClientToScreenPoint(AWnd, {0, 0});
  if (cxIsWindowLayoutRTL(AWnd))
    return {window.right - origin.x, origin.y - window.top};
  return {origin.x - window.left, origin.y - window.top};
}

namespace {

// The top-left of the window's window rectangle (AClient false) or client
// area, on the screen; the screen's origin for 0.
TPoint WindowScreenOrigin(HWND AWnd, bool AClient)
{
  if (!AWnd)
    return {0, 0};
  if (AClient)
    return cxClientToScreenPoint(AWnd, {0, 0});
  const TRect R = cxGetWindowScreenRect(AWnd);
  return {R.left, R.top};
}

}  // namespace

TPoint cxMapWindowPoint(HWND AFrom, HWND ATo, const TPoint& P, bool AClient)
{
  TPoint result = P;
  if (AClient) {
    MapWindowPoints(AFrom, ATo, &result, 1);
    return result;
  }
  const TPoint from = WindowScreenOrigin(AFrom, false);
  const TPoint to = WindowScreenOrigin(ATo, false);
  return {P.x + from.x - to.x, P.y + from.y - to.y};
}

TRect cxMapWindowRect(HWND AFrom, HWND ATo, const TRect& R, bool AClient)
{
  const TPoint topLeft = cxMapWindowPoint(AFrom, ATo, {R.left, R.top}, AClient);
  return cxRectOffsetBy(R, topLeft.x - R.left, topLeft.y - R.top);
}

TRect cxGetMonitorWorkAreaRect(HMONITOR AMonitor)
{
  if (!AMonitor) {
    TRect R{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &R, 0);
    return R;
  }
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  return GetMonitorInfoW(AMonitor, &info) ? TRect(info.rcWork) : TRect{};
}

TRect cxGetWorkAreaAtPoint(const TPoint& P)
{
  return cxGetMonitorWorkAreaRect(MonitorFromPoint(P, MONITOR_DEFAULTTONEAREST));
}

TRect cxFitRectToWorkArea(const TRect& R, const TPoint& P)
{
  const TRect area = cxGetWorkAreaAtPoint(P);
  int dx = 0;
  int dy = 0;
  if (R.right > area.right)
    dx = area.right - R.right;
  if (R.bottom > area.bottom)
    dy = area.bottom - R.bottom;
  if (R.left + dx < area.left)
    dx = area.left - R.left;
  if (R.top + dy < area.top)
    dy = area.top - R.top;
  return cxRectOffsetBy(R, dx, dy);
}

TPoint cxGetMouseCursorPosition()
{
  TPoint P{};
  return GetCursorPos(&P) ? P : TPoint{-1, -1};
}

HWND cxFindDeepestChildWindow(HWND AWnd, const TPoint& P)
{
  HWND result = AWnd;
  for (;;) {
    TPoint clientPoint = P;
    ScreenToClient(result, &clientPoint);
    HWND child = ChildWindowFromPointEx(result, clientPoint, CWP_SKIPINVISIBLE);
    if (!child || child == result)
      return result;
    result = child;
  }
}

HWND cxFindWindowAtScreenPoint(const TPoint& P)
{
  HWND wnd = WindowFromPoint(P);
  return wnd ? cxFindDeepestChildWindow(wnd, P) : nullptr;
}

// ---------------------------------------------------------------------------
// Keyboard, mouse and shift states

wchar_t cxKeyCodeToChar(WORD AKey)
{
  BYTE keyboardState[256];
  if (!GetKeyboardState(keyboardState))
    return 0;
  const UINT scanCode = MapVirtualKeyW(AKey, MAPVK_VK_TO_VSC);
  wchar_t buffer[8];
  return ToUnicode(AKey, scanCode, keyboardState, buffer, 8, 0) == 1 ? buffer[0] : wchar_t(0);
}

int cxGetAsyncMouseKeyFlags()
{
  const auto down = [](int AKey) { return GetAsyncKeyState(AKey) < 0; };
  int result = 0;
  if (down(VK_LBUTTON))
    result |= MK_LBUTTON;
  if (down(VK_RBUTTON))
    result |= MK_RBUTTON;
  if (down(VK_SHIFT))
    result |= MK_SHIFT;
  if (down(VK_CONTROL))
    result |= MK_CONTROL;
  if (down(VK_MBUTTON))
    result |= MK_MBUTTON;
  return result;
}

int cxShiftStateToMouseKeyFlags(vcl::TShiftState AShift)
{
  using enum vcl::TShiftStateItem;
  int result = 0;
  if (AShift.Contains(ssShift))
    result |= MK_SHIFT;
  if (AShift.Contains(ssCtrl))
    result |= MK_CONTROL;
  if (AShift.Contains(ssLeft))
    result |= MK_LBUTTON;
  if (AShift.Contains(ssRight))
    result |= MK_RBUTTON;
  if (AShift.Contains(ssMiddle))
    result |= MK_MBUTTON;
  return result;
}

UINT cxGetDoubleClickTime()
{
  return GetDoubleClickTime();
}

bool cxNoKeysOrButtonsInShift(vcl::TShiftState AShift)
{
  using enum vcl::TShiftStateItem;
  return (AShift * vcl::TShiftState{ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble}).Empty();
}

bool cxIsLeftButtonOnlyShift(vcl::TShiftState AShift, bool AAllowDouble)
{
  using enum vcl::TShiftStateItem;
  if (!AShift.Contains(ssLeft))
    return false;
  if (!(AShift * vcl::TShiftState{ssShift, ssAlt, ssCtrl, ssRight, ssMiddle}).Empty())
    return false;
  return AAllowDouble || !AShift.Contains(ssDouble);
}

bool cxIsCtrlPressed()
{
  return GetAsyncKeyState(VK_CONTROL) < 0;
}

bool cxIsSpecialVirtualKey(WORD AKey)
{
  if (AKey > 255)
    return false;
  const auto within = [AKey](WORD ALow, WORD AHigh) { return AKey >= ALow && AKey <= AHigh; };
  return AKey == 3 || AKey == 9 || AKey == 12 || AKey == 13 || within(16, 20) || AKey == 27 || within(33, 47) ||
         within(91, 145) || within(160, 165) || AKey == 229 || within(246, 254);
}

bool cxIsNonControlChar(wchar_t AChar)
{
  return (dxGetCharType1(AChar) & C1_CNTRL) == 0;
}

WORD cxMapEditKey(WORD AKey)
{
  return AKey;
}

bool cxIsWithinDragThreshold(const TPoint& AStart, int X, int Y)
{
  const int threshold = vcl::Mouse()->GetDragThreshold();
  return std::abs(X - AStart.x) < threshold && std::abs(Y - AStart.y) < threshold;
}

void cxSetCapture(HWND AWnd)
{
  if (GetCapture() != AWnd)
    SetCapture(AWnd);
}

TcxDragDetect cxDragDetect(HWND AWnd, const TPoint& AStartPos)
{
  const int threshold = vcl::Mouse()->GetDragThreshold();
  const TRect square{AStartPos.x - threshold, AStartPos.y - threshold, AStartPos.x + threshold,
                     AStartPos.y + threshold};
  SetCapture(AWnd);
  TcxDragDetect result = TcxDragDetect::ddCancel;
  bool done = false;
  while (!done && GetCapture() == AWnd) {
    MSG msg{};
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got == -1)
      break;
    switch (msg.message) {
      case WM_KEYDOWN:
      case WM_KEYUP:
        if (msg.wParam == VK_ESCAPE)
          done = true;
        break;
      case WM_MOUSEMOVE:
        if (msg.hwnd == AWnd) {
          const TPoint P = cxClientToScreenPoint(AWnd, {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)});
          if (!PtInRect(&square, P)) {
            result = TcxDragDetect::ddDrag;
            done = true;
          }
        }
        break;
      case WM_LBUTTONUP:
      case WM_RBUTTONUP:
      case WM_MBUTTONUP:
        result = TcxDragDetect::ddNone;
        done = true;
        break;
      default:
        break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (GetCapture() == AWnd)
    ReleaseCapture();
  return result;
}

// ---------------------------------------------------------------------------
// TdxApplicationActivateWindowHelper

namespace {

// The application runs a modal loop while one of its forms is modal.
bool IsModalLoopRunning()
{
  vcl::TScreen* screen = vcl::Screen();
  for (int i = 0; i < screen->GetFormCount(); ++i)
    if (screen->GetForms(i)->IsModal())
      return true;
  return false;
}

}  // namespace

void TdxApplicationActivateWindowHelper::Create()
{
  FFreeNotificator = rtl::New<TcxFreeNotificator>(nullptr);
  FFreeNotificator->SetOnFreeNotification(
      TcxFreeNotificationEvent::Bind<&TdxApplicationActivateWindowHelper::FreeNotification>(this));
}

void TdxApplicationActivateWindowHelper::Destroy()
{
  rtl::FreeAndNil(FFreeNotificator);
  inherited::Destroy();
}

void TdxApplicationActivateWindowHelper::AddWindow(vcl::TCustomForm* AForm)
{
  if (!AForm || std::find(FWindowsList.begin(), FWindowsList.end(), AForm) != FWindowsList.end())
    return;
  FWindowsList.push_back(AForm);
  FFreeNotificator->AddSender(AForm);
}

void TdxApplicationActivateWindowHelper::RemoveWindow(vcl::TCustomForm* AForm)
{
  const auto found = std::find(FWindowsList.begin(), FWindowsList.end(), AForm);
  if (found == FWindowsList.end())
    return;
  FWindowsList.erase(found);
  FFreeNotificator->RemoveSender(AForm);
}

void TdxApplicationActivateWindowHelper::FreeNotification(rtl::TComponent* AComponent)
{
  std::erase(FWindowsList, static_cast<vcl::TCustomForm*>(AComponent));
}

bool TdxApplicationActivateWindowHelper::IsRegisteredSinceModal(vcl::TCustomForm* AForm) const
{
  for (auto it = FWindowsList.rbegin(); it != FWindowsList.rend(); ++it) {
    if (*it == AForm)
      return true;
    if ((*it)->IsModal())
      break;
  }
  return false;
}

void TdxApplicationActivateWindowHelper::NormalizeTopMostWindows(vcl::TCustomForm* AForm)
{
  vcl::TCustomForm* focused = vcl::Screen()->GetActiveForm();
  if (!IsModalLoopRunning() || AForm == focused || IsRegisteredSinceModal(AForm))
    return;
  for (auto it = FWindowsList.rbegin(); it != FWindowsList.rend(); ++it)
    if ((*it)->HandleAllocated())
      cxSetWindowZOrder((*it)->GetHandle(), HWND_TOP, false);
  if (focused && focused->HandleAllocated())
    cxSetWindowZOrder(focused->GetHandle(), HWND_TOP, true);
}

// ---------------------------------------------------------------------------
// Components

rtl::TComponent* cxFindOwnedComponent(rtl::TComponent* AOwner, rtl::TClass AClass)
{
  if (!AOwner)
    return nullptr;
  for (int i = 0; i < AOwner->GetComponentCount(); ++i)
    if (AOwner->GetComponents(i)->InheritsFrom(AClass))
      return AOwner->GetComponents(i);
  return nullptr;
}

TPoint cxControlPointToParent(vcl::TControl* AControl, const TPoint& P, vcl::TWinControl* AParent)
{
  return AControl->ClientToParent(P, AParent);
}

rtl::String cxGetComponentPath(rtl::TComponent* AComponent)
{
  rtl::String result;
  for (rtl::TComponent* component = AComponent; component; component = component->GetOwner()) {
    if (component->GetName().empty())
      continue;
    result = result.empty() ? component->GetName() : component->GetName() + L"." + result;
  }
  return result;
}
