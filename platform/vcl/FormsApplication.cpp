// TApplication, TScreen, TMonitor and THintWindow: the application window
// and message loop, exceptions of callbacks, synchronised calls, hints;
// forms, cursors, monitors and system fonts.
#include <algorithm>
#include <exception>

#include "platform/rtl/ClassesThreads.h"
#include "platform/rtl/SysUtilsFormat.h"
#include "platform/vcl/Forms.h"

using enum rtl::TComponentStateFlag;
using enum rtl::TOperation;
using enum vcl::TControlStyleItem;

namespace vcl {

namespace {

constexpr wchar_t kApplicationClass[] = L"TApplication";
// The timer of the application window that paces hints.
constexpr UINT_PTR kHintTimer = 1;
constexpr UINT_PTR kHintReshowTimer = 2;

// "short|long": the short part shows in the hint window, the long one
// becomes the application's Hint. Without a bar both are the whole text.
String ShortHint(const String& AHint)
{
  return AHint.substr(0, AHint.find(L'|'));
}

String LongHint(const String& AHint)
{
  const auto bar = AHint.find(L'|');
  return bar == String::npos ? AHint : AHint.substr(bar + 1);
}

TApplication*& ApplicationSlot()
{
  static TApplication* application = nullptr;
  return application;
}

TScreen*& ScreenSlot()
{
  static TScreen* screen = nullptr;
  return screen;
}

const wchar_t* StandardCursorId(int ACursor)
{
  switch (ACursor) {
    case crCross: return IDC_CROSS;
    case crIBeam: return IDC_IBEAM;
    case crSizeNESW: return IDC_SIZENESW;
    case crSizeNS: return IDC_SIZENS;
    case crSizeNWSE: return IDC_SIZENWSE;
    case crSizeWE: return IDC_SIZEWE;
    case crUpArrow: return IDC_UPARROW;
    case crHourGlass:
    case crSQLWait: return IDC_WAIT;
    case crNo:
    case crNoDrop: return IDC_NO;
    case crAppStart: return IDC_APPSTARTING;
    case crHelp: return IDC_HELP;
    case crHandPoint: return IDC_HAND;
    case crSizeAll: return IDC_SIZEALL;
    default: return IDC_ARROW;
  }
}

// The program's file name without folder and extension.
String ModuleTitle()
{
  wchar_t path[MAX_PATH]{};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  String title = path;
  title.erase(0, title.find_last_of(L"\\/") + 1);
  if (const auto dot = title.rfind(L'.'); dot != String::npos)
    title.erase(dot);
  return title;
}

using TGetDpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

// shcore's GetDpiForMonitor, which older Windows lack.
TGetDpiForMonitor GetDpiForMonitorEntry()
{
  static const TGetDpiForMonitor entry = [] {
    HMODULE shcore = LoadLibraryW(L"shcore.dll");
    return shcore ? reinterpret_cast<TGetDpiForMonitor>(
                        reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                  : nullptr;
  }();
  return entry;
}

}  // namespace

namespace detail {

TApplication* ExistingApplication()
{
  return ApplicationSlot();
}

TScreen* ExistingScreen()
{
  return ScreenSlot();
}

}  // namespace detail

TApplication* Application()
{
  TApplication*& application = ApplicationSlot();
  if (!application)
    application = rtl::New<TApplication>(nullptr);
  return application;
}

TScreen* Screen()
{
  TScreen*& screen = ScreenSlot();
  if (!screen)
    screen = rtl::New<TScreen>(nullptr);
  return screen;
}

void DoneApplication()
{
  // The slot keeps the application while it goes: its forms reach it.
  if (TApplication* application = ApplicationSlot()) {
    rtl::Free(application);
    ApplicationSlot() = nullptr;
  }
  if (TScreen* screen = ScreenSlot()) {
    rtl::Free(screen);
    ScreenSlot() = nullptr;
  }
}

// ---------------------------------------------------------------------------
// TMonitor

TRect TMonitor::GetBoundsRect() const
{
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoW(FHandle, &info);
  return info.rcMonitor;
}

TRect TMonitor::GetWorkareaRect() const
{
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoW(FHandle, &info);
  return info.rcWork;
}

bool TMonitor::GetPrimary() const
{
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoW(FHandle, &info);
  return (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
}

int TMonitor::GetPixelsPerInch() const
{
  constexpr int kEffectiveDpi = 0;
  UINT x = 0, y = 0;
  if (TGetDpiForMonitor entry = GetDpiForMonitorEntry(); entry && SUCCEEDED(entry(FHandle, kEffectiveDpi, &x, &y)) && y)
    return static_cast<int>(y);
  return ScreenLogPixels();
}

// ---------------------------------------------------------------------------
// TScreen

void TScreen::Create(TComponent* AOwner)
{
  inherited::Create(AOwner);
  FHintFont = rtl::New<TFont>();
  FMenuFont = rtl::New<TFont>();
  FIconFont = rtl::New<TFont>();
  ResetFonts();
}

void TScreen::Destroy()
{
  for (TMonitor* monitor : FMonitors)
    rtl::Free(monitor);
  FMonitors.clear();
  for (const auto& [index, cursor] : FCursors)
    DestroyCursor(cursor);
  FCursors.clear();
  rtl::FreeAndNil(FHintFont);
  rtl::FreeAndNil(FMenuFont);
  rtl::FreeAndNil(FIconFont);
  inherited::Destroy();
}

void TScreen::AddForm(TCustomForm* AForm)
{
  if (std::find(FForms.begin(), FForms.end(), AForm) == FForms.end())
    FForms.push_back(AForm);
}

void TScreen::RemoveForm(TCustomForm* AForm)
{
  std::erase(FForms, AForm);
  if (FActiveForm == AForm)
    FActiveForm = nullptr;
}

TWinControl* TScreen::GetActiveControl() const
{
  return FActiveForm ? FActiveForm->GetActiveControl() : nullptr;
}

void TScreen::SetCursor(TCursor AValue)
{
  FCursor = AValue;
  if (AValue != crDefault) {
    ::SetCursor(GetCursors(AValue));
    return;
  }
  // Back to each control's own: the window under the mouse sets it again.
  POINT point{};
  GetCursorPos(&point);
  HWND wnd = WindowFromPoint(point);
  if (wnd && GetWindowThreadProcessId(wnd, nullptr) == GetCurrentThreadId()) {
    const LRESULT hit = SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    SendMessageW(wnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd), MAKELPARAM(hit, WM_MOUSEMOVE));
  }
}

HCURSOR TScreen::GetCursors(int AIndex) const
{
  if (const auto it = FCursors.find(AIndex); it != FCursors.end())
    return it->second;
  if (AIndex == crNone)
    return nullptr;
  return LoadCursorW(nullptr, StandardCursorId(AIndex));
}

void TScreen::SetCursors(int AIndex, HCURSOR AValue)
{
  if (const auto it = FCursors.find(AIndex); it != FCursors.end()) {
    DestroyCursor(it->second);
    FCursors.erase(it);
  }
  if (AValue)
    FCursors[AIndex] = AValue;
}

int TScreen::GetPixelsPerInch() const
{
  return ScreenLogPixels();
}

TRect TScreen::GetWorkAreaRect() const
{
  RECT rect{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &rect, 0);
  return rect;
}

TRect TScreen::GetDesktopRect() const
{
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

// An allocation failure ends the enumeration.
BOOL CALLBACK TScreen::EnumMonitor(HMONITOR AMonitor, HDC /*ADC*/, LPRECT /*ARect*/, LPARAM AData) noexcept
{
  return rtl::GuardCallback(FALSE, [&] {
    reinterpret_cast<std::vector<HMONITOR>*>(AData)->push_back(AMonitor);
    return TRUE;
  });
}

// Lists the monitors again. A monitor still present keeps its object, so
// the pointers callers hold stay valid; only the objects of monitors gone
// are freed.
int TScreen::GetMonitorCount()
{
  std::vector<HMONITOR> handles;
  EnumDisplayMonitors(nullptr, nullptr, &TScreen::EnumMonitor, reinterpret_cast<LPARAM>(&handles));
  std::vector<TMonitor*> monitors;
  monitors.reserve(handles.size());
  for (HMONITOR handle : handles) {
    const auto kept = std::find_if(FMonitors.begin(), FMonitors.end(),
                                   [handle](const TMonitor* AMonitor) { return AMonitor->FHandle == handle; });
    TMonitor* monitor = nullptr;
    if (kept != FMonitors.end()) {
      monitor = *kept;
      FMonitors.erase(kept);
    } else {
      monitor = rtl::New<TMonitor>();
      monitor->FHandle = handle;
    }
    monitor->FMonitorNum = static_cast<int>(monitors.size());
    monitors.push_back(monitor);
  }
  for (TMonitor* gone : FMonitors)
    rtl::Free(gone);
  FMonitors = std::move(monitors);
  return static_cast<int>(FMonitors.size());
}

TMonitor* TScreen::GetMonitors(int AIndex)
{
  if (FMonitors.empty())
    GetMonitorCount();
  return FMonitors.at(static_cast<std::size_t>(AIndex));
}

TMonitor* TScreen::FindMonitor(HMONITOR AHandle)
{
  const auto find = [&]() -> TMonitor* {
    for (TMonitor* monitor : FMonitors)
      if (monitor->FHandle == AHandle)
        return monitor;
    return nullptr;
  };
  if (TMonitor* monitor = find())
    return monitor;
  // Monitors come and go: list them again.
  GetMonitorCount();
  if (TMonitor* monitor = find())
    return monitor;
  return FMonitors.empty() ? nullptr : FMonitors.front();
}

TMonitor* TScreen::GetPrimaryMonitor()
{
  return FindMonitor(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY));
}

TMonitor* TScreen::MonitorFromWindow(HWND AWindow)
{
  return FindMonitor(::MonitorFromWindow(AWindow, MONITOR_DEFAULTTOPRIMARY));
}

TMonitor* TScreen::MonitorFromPoint(const TPoint& APoint)
{
  return FindMonitor(::MonitorFromPoint(APoint, MONITOR_DEFAULTTONEAREST));
}

TMonitor* TScreen::MonitorFromRect(const TRect& ARect)
{
  return FindMonitor(::MonitorFromRect(&ARect, MONITOR_DEFAULTTONEAREST));
}

void TScreen::ResetFonts()
{
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    FHintFont->SetHandle(CreateFontIndirectW(&metrics.lfStatusFont));
    FMenuFont->SetHandle(CreateFontIndirectW(&metrics.lfMenuFont));
  }
  LOGFONTW iconFont{};
  if (SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(iconFont), &iconFont, 0))
    FIconFont->SetHandle(CreateFontIndirectW(&iconFont));
}

// ---------------------------------------------------------------------------
// TApplication

void TApplication::Create(TComponent* AOwner)
{
  inherited::Create(AOwner);
  // The application is made on the main thread: a thread that queues a call
  // before anyone asked must not become the main thread.
  rtl::MainThreadID();
  FTitle = ModuleTitle();
  FShowHint = true;
  FHintPause = 500;
  FHintShortPause = 50;
  FHintHidePause = 2500;
  FHintColor = clInfoBk;
  FShowMainForm = true;
  FUpdateFormatSettings = true;
  FHintWindowClass = THintWindowClass::Of<THintWindow>();
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass{};
  if (!GetClassInfoW(instance, kApplicationClass, &windowClass)) {
    windowClass.lpfnWndProc = &TApplication::AppWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, L"MAINICON");
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kApplicationClass;
    if (!RegisterClassW(&windowClass))
      rtl::RaiseLastOSError();
  }
  // A window without size that never shows: the owner of the forms, the
  // receiver of the wake-up and of messages sent to the application.
  FHandle = CreateWindowExW(0, kApplicationClass, FTitle.c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                            nullptr, nullptr, instance, this);
  if (!FHandle)
    rtl::RaiseLastOSError();
  rtl::SetApplicationHandleException(rtl::TNotifyEvent::Bind<&TApplication::HandleCallbackException>(this));
  rtl::SetWakeMainThread(rtl::TNotifyEvent::Bind<&TApplication::WakeMainThread>(this));
}

void TApplication::Destroy()
{
  rtl::SetWakeMainThread({});
  rtl::SetApplicationHandleException({});
  CancelHint();
  // The forms go first: they may still send to the application window.
  inherited::Destroy();
  if (FHandle) {
    DestroyWindow(FHandle);
    FHandle = nullptr;
  }
}

LRESULT CALLBACK TApplication::AppWindowProc(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam) noexcept
{
  if (AMsg == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(ALParam);
    SetWindowLongPtrW(AWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    static_cast<TApplication*>(create->lpCreateParams)->FHandle = AWnd;
  }
  auto* application = reinterpret_cast<TApplication*>(GetWindowLongPtrW(AWnd, GWLP_USERDATA));
  if (!application)
    return DefWindowProcW(AWnd, AMsg, AWParam, ALParam);
  TMessage message{AMsg, AWParam, ALParam, 0};
  return rtl::GuardCallback(
      LRESULT{0},
      [&] {
        application->WndProc(message);
        return message.Result;
      },
      application);
}

void TApplication::WndProc(TMessage& AMessage)
{
  switch (AMessage.Msg) {
    case WM_NULL:
      // The wake-up of a thread that queued a call for the main thread.
      rtl::CheckSynchronize();
      return;
    case WM_TIMER:
      if (AMessage.WParam == kHintTimer) {
        HintTimerExpired();
        return;
      }
      if (AMessage.WParam == kHintReshowTimer) {
        HintReshowTimerExpired();
        return;
      }
      break;
    case WM_CLOSE:
      if (FMainForm)
        FMainForm->Close();
      return;
    case WM_SETTINGCHANGE:
      Mouse()->SettingChanged();
      if (TScreen* screen = detail::ExistingScreen())
        screen->ResetFonts();
      break;
    default:
      break;
  }
  AMessage.Result = DefWindowProcW(FHandle, AMessage.Msg, AMessage.WParam, AMessage.LParam);
}

void TApplication::WakeMainThread(TObject* /*ASender*/)
{
  PostMessageW(FHandle, WM_NULL, 0, 0);
}

void TApplication::SetTitle(const String& AValue)
{
  FTitle = AValue;
  SetWindowTextW(FHandle, AValue.c_str());
}

void TApplication::SetHint(const String& AValue)
{
  if (FHint == AValue)
    return;
  FHint = AValue;
  if (FOnHint)
    FOnHint(this);
}

void TApplication::CreateForm(rtl::TComponentClass AClass, void* AReference)
{
  if (!AClass.ClassType() || !AClass.ClassType()->Factory)
    rtl::AbstractError();
  auto* instance = static_cast<TComponent*>(AClass.ClassType()->Factory());
  auto& reference = *static_cast<TComponent**>(AReference);
  reference = instance;
  try {
    rtl::detail::Construct(instance, [this](TComponent* AInstance) { AInstance->Create(this); });
  } catch (...) {
    reference = nullptr;
    throw;
  }
  if (!FMainForm && rtl::Is<TCustomForm>(instance)) {
    FMainForm = static_cast<TCustomForm*>(instance);
    FMainForm->HandleNeeded();
  }
}

void TApplication::Run()
{
  if (!FMainForm)
    return;
  if (FShowMainForm)
    FMainForm->SetVisible(true);
  do {
    try {
      HandleMessage();
    } catch (...) {
      HandleException(this);
    }
  } while (!FTerminated);
}

// The loop ends when it meets the quit message.
void TApplication::Terminate()
{
  PostQuitMessage(0);
}

bool TApplication::ProcessMessage(MSG& AMsg)
{
  if (!PeekMessageW(&AMsg, nullptr, 0, 0, PM_REMOVE))
    return false;
  if (AMsg.message == WM_QUIT) {
    FTerminated = true;
    return true;
  }
  if (AMsg.message == WM_MOUSEMOVE)
    HintMouseMessage(AMsg);
  else if ((AMsg.message >= WM_KEYFIRST && AMsg.message <= WM_KEYLAST) || AMsg.message == WM_LBUTTONDOWN ||
           AMsg.message == WM_RBUTTONDOWN || AMsg.message == WM_MBUTTONDOWN)
    CancelHint();
  if (!IsKeyMsg(AMsg)) {
    TranslateMessage(&AMsg);
    DispatchMessageW(&AMsg);
  }
  return true;
}

void TApplication::ProcessMessages()
{
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

void TApplication::HandleMessage()
{
  MSG msg;
  if (!ProcessMessage(msg))
    Idle();
}

void TApplication::Idle()
{
  bool done = true;
  try {
    if (FOnIdle)
      FOnIdle(this, done);
    if (done)
      DoActionIdle();
  } catch (...) {
    HandleException(this);
  }
  if (rtl::CheckSynchronize())
    done = false;
  if (done)
    WaitMessage();
}

// ---------------------------------------------------------------------------
// Idle action update

void TApplication::DoActionIdle()
{
  TScreen* screen = detail::ExistingScreen();
  if (!screen)
    return;
  // An update may close or free forms: walk a copy and skip the gone ones.
  std::vector<TCustomForm*> forms;
  for (int i = 0; i < screen->GetFormCount(); ++i)
    forms.push_back(screen->GetForms(i));
  for (TCustomForm* form : forms) {
    bool stillThere = false;
    for (int i = 0; i < screen->GetFormCount() && !stillThere; ++i)
      stillThere = screen->GetForms(i) == form;
    if (stillThere && form->HandleAllocated() && IsWindowVisible(form->GetHandle()) &&
        IsWindowEnabled(form->GetHandle()))
      form->UpdateActions();
  }
}

namespace {

void FormsApplicationUpdateClients(TWinControl* AContainer)
{
  if (!AContainer->IsShowing() || AContainer->GetComponentState().Contains(csDesigning))
    return;
  for (int i = 0; i < AContainer->GetControlCount(); ++i) {
    TControl* control = AContainer->GetControls(i);
    if (control->GetControlStyle().Contains(csActionClient) && control->GetVisible())
      control->InitiateAction();
    if (rtl::Is<TWinControl>(control) && static_cast<TWinControl*>(control)->GetControlCount() > 0)
      FormsApplicationUpdateClients(static_cast<TWinControl*>(control));
  }
}

}  // namespace

void TCustomForm::UpdateActions()
{
  if (GetComponentState().Contains(csDesigning) || !IsShowing())
    return;
  InitiateAction();
  FormsApplicationUpdateClients(this);
}

// ---------------------------------------------------------------------------
// Hints

void TApplication::Notification(TComponent* AComponent, rtl::TOperation AOperation)
{
  inherited::Notification(AComponent, AOperation);
  if (AOperation != opRemove)
    return;
  if (AComponent == FHintControl)
    CancelHint();
  if (AComponent == FHintWindow)
    FHintWindow = nullptr;
}

// The control under the mouse that has a hint to show: the control itself
// or the nearest parent with one.
void TApplication::HintMouseMessage(const MSG& AMsg)
{
  TWinControl* window = FindControl(AMsg.hwnd);
  if (!window || window == FHintWindow)
    return;
  const TPoint client{static_cast<short>(LOWORD(AMsg.lParam)), static_cast<short>(HIWORD(AMsg.lParam))};
  TControl* control = window->ControlAtPos(client, true);
  if (!control)
    control = window;
  POINT screen = client;
  ClientToScreen(AMsg.hwnd, &screen);
  FHintCursorPos = screen;
  while (control && control->GetHint().empty())
    control = control->GetParent();
  if (control == FHintControl)
    return;
  // Moving on from a hint that shows, the next one follows quickly.
  const int pause = FHintShowing ? FHintShortPause : FHintPause;
  CancelHint();
  SetHint(control ? LongHint(control->GetHint()) : String());
  if (!control || !FShowHint || !control->GetShowHint())
    return;
  FHintControl = control;
  control->FreeNotification(this);
  SetTimer(FHandle, kHintTimer, static_cast<UINT>(std::max(pause, 1)), nullptr);
}

void TApplication::HintTimerExpired()
{
  KillTimer(FHandle, kHintTimer);
  if (FHintShowing) {
    // Shown long enough: hidden until the mouse comes to another control.
    HideShownHint();
    return;
  }
  if (FHintControl)
    ActivateHint(FHintControl, FHintCursorPos);
}

void TApplication::HideShownHint()
{
  KillTimer(FHandle, kHintTimer);
  KillTimer(FHandle, kHintReshowTimer);
  FHintShowing = false;
  if (FHintWindow)
    FHintWindow->ReleaseHandle();
}

void TApplication::HintReshowTimerExpired()
{
  KillTimer(FHandle, kHintReshowTimer);
  if (FHintShowing && FHintControl)
    ActivateHint(FHintControl, FHintCursorPos);
}

void TApplication::ActivateHint(TControl* AControl, const TPoint& ACursorPos)
{
  THintInfo info{};
  info.HintControl = AControl;
  info.HintWindowClass = FHintWindowClass;
  info.HintPos = {ACursorPos.x, ACursorPos.y + GetSystemMetrics(SM_CYCURSOR) / 2 + 4};
  info.HintMaxWidth = Screen()->GetWidth();
  info.HintColor = FHintColor;
  info.CursorRect = AControl->GetClientRect();
  info.CursorPos = AControl->ScreenToClient(ACursorPos);
  info.HideTimeout = FHintHidePause;
  info.HintStr = ShortHint(AControl->GetHint());
  // A control answers CM_HINTSHOW with non-zero to keep its hint back.
  bool canShow = AControl->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
  if (canShow && FOnShowHint)
    FOnShowHint(info.HintStr, canShow, info);
  if (!canShow || info.HintStr.empty() || !info.HintWindowClass) {
    // A reshown hint the control now keeps back goes away.
    if (FHintShowing)
      HideShownHint();
    return;
  }
  if (FHintWindow && FHintWindow->ClassType() != info.HintWindowClass.ClassType())
    rtl::FreeAndNil(FHintWindow);
  if (!FHintWindow) {
    FHintWindow = info.HintWindowClass.Create(this);
    FHintWindow->FreeNotification(this);
  }
  FHintWindow->SetColor(info.HintColor);
  TRect rect = FHintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
  OffsetRect(&rect, info.HintPos.x, info.HintPos.y);
  FHintWindow->ActivateHint(rect, info.HintStr);
  FHintShowing = true;
  KillTimer(FHandle, kHintTimer);
  if (info.HideTimeout > 0)
    SetTimer(FHandle, kHintTimer, static_cast<UINT>(info.HideTimeout), nullptr);
  if (info.ReshowTimeout > 0)
    SetTimer(FHandle, kHintReshowTimer, static_cast<UINT>(info.ReshowTimeout), nullptr);
}

void TApplication::CancelHint()
{
  if (FHandle) {
    KillTimer(FHandle, kHintTimer);
    KillTimer(FHandle, kHintReshowTimer);
  }
  FHintShowing = false;
  if (FHintWindow)
    FHintWindow->ReleaseHandle();
  if (FHintControl) {
    FHintControl->RemoveFreeNotification(this);
    FHintControl = nullptr;
  }
}

// ---------------------------------------------------------------------------
// THintWindow

void THintWindow::Create(TComponent* AOwner)
{
  inherited::Create(AOwner);
  FVisible = false;
  FParentColor = false;
  FParentFont = false;
  SetColor(clInfoBk);
  GetFont()->Assign(Screen()->GetHintFont());
}

void THintWindow::CreateParams(TCreateParams& AParams)
{
  inherited::CreateParams(AParams);
  AParams.Style = WS_POPUP | WS_BORDER;
  AParams.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  AParams.WndParent = nullptr;
}

TRect THintWindow::CalcHintRect(int AMaxWidth, const String& AHint, TObject* /*AData*/)
{
  TRect rect{0, 0, AMaxWidth, 0};
  {
    const TScreenDC dc;
    const TSelectObjectGuard font(dc.Get(), GetFont()->GetHandle());
    DrawTextW(dc.Get(), AHint.c_str(), -1, &rect, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  }
  // The margins and the border.
  rect.right += 6 + 2 * GetSystemMetrics(SM_CXBORDER);
  rect.bottom += 2 + 2 * GetSystemMetrics(SM_CYBORDER);
  return rect;
}

void THintWindow::ActivateHint(const TRect& ARect, const String& AHint)
{
  SetCaption(AHint);
  SetBounds(ARect.left, ARect.top, ARect.right - ARect.left, ARect.bottom - ARect.top);
  SetWindowPos(GetHandle(), HWND_TOPMOST, ARect.left, ARect.top, ARect.right - ARect.left, ARect.bottom - ARect.top,
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Invalidate();
}

void THintWindow::Paint()
{
  TCanvas* canvas = GetCanvas();
  canvas->GetBrush()->SetColor(GetColor());
  canvas->FillRect(GetClientRect());
  canvas->GetFont()->Assign(GetFont());
  TRect rect = GetClientRect();
  InflateRect(&rect, -2, -1);
  const HDC dc = canvas->GetHandle();
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const String text = GetCaption();
  DrawTextW(dc, text.c_str(), -1, &rect, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  SetBkMode(dc, oldMode);
}

void TApplication::HandleException(TObject* ASender)
{
  const std::exception_ptr exception = std::current_exception();
  if (!exception)
    return;
  // What the handler itself raises is dropped: this runs where nothing may
  // be raised.
  try {
    const auto report = [&](rtl::Exception& E) {
      if (FOnException)
        FOnException(ASender, &E);
      else
        ShowException(&E);
    };
    try {
      std::rethrow_exception(exception);
    } catch (const rtl::EAbort&) {
    } catch (rtl::Exception& E) {
      report(E);
    } catch (const std::exception& E) {
      rtl::Exception wrapped(rtl::Format(L"%s", {String(E.what(), E.what() + std::strlen(E.what()))}));
      report(wrapped);
    } catch (...) {
      rtl::Exception unknown(L"Unknown exception");
      report(unknown);
    }
  } catch (...) {
    OutputDebugStringW(L"An exception handler raised an exception");
  }
}

void TApplication::ShowException(rtl::Exception* AException)
{
  String message = AException->Message();
  if (!message.empty() && message.back() > L'.')
    message += L'.';
  HWND owner = FMainForm && FMainForm->HandleAllocated() ? FMainForm->GetHandle() : FHandle;
  MessageBoxW(owner, message.c_str(), FTitle.c_str(), MB_OK | MB_ICONSTOP);
}

}  // namespace vcl
