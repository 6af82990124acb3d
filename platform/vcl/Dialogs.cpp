#include "platform/vcl/Dialogs.h"

#include <algorithm>
#include <array>
#include <vector>

#include "platform/rtl/ClassesThreads.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/GraphicsHandles.h"

using enum vcl::TMsgDlgBtn;
using enum vcl::TMsgDlgType;
using enum vcl::TOpenOption;

namespace vcl {

// ---------------------------------------------------------------------------
// File dialogs

HWND TCommonDialog::OwnerWindow()
{
  TComponent* owner = GetOwner();
  if (rtl::Is<TWinControl>(owner) && static_cast<TWinControl*>(owner)->HandleAllocated())
    return static_cast<TWinControl*>(owner)->GetHandle();
  return GetActiveWindow();
}

namespace {

// OPENFILENAME flags of the options, in the order of TOpenOption.
constexpr DWORD kOptionFlags[] = {
    OFN_READONLY,          OFN_OVERWRITEPROMPT,    OFN_HIDEREADONLY,     OFN_NOCHANGEDIR,
    OFN_SHOWHELP,          OFN_NOVALIDATE,         OFN_ALLOWMULTISELECT, OFN_EXTENSIONDIFFERENT,
    OFN_PATHMUSTEXIST,     OFN_FILEMUSTEXIST,      OFN_CREATEPROMPT,     OFN_SHAREAWARE,
    OFN_NOREADONLYRETURN,  OFN_NOTESTFILECREATE,   OFN_NONETWORKBUTTON,  OFN_NOLONGNAMES,
    0 /* ofOldStyleDialog: no OFN_EXPLORER */,     OFN_NODEREFERENCELINKS, OFN_ENABLEINCLUDENOTIFY,
    OFN_ENABLESIZING,      OFN_DONTADDTORECENT,    OFN_FORCESHOWHIDDEN};
static_assert(std::size(kOptionFlags) == ofForceShowHidden + 1);

DWORD FlagsOf(TOpenOptions AOptions)
{
  DWORD flags = AOptions.Contains(ofOldStyleDialog) ? 0 : OFN_EXPLORER;
  for (int option = ofReadOnly; option <= ofForceShowHidden; ++option)
    if (AOptions.Contains(static_cast<TOpenOption>(option)))
      flags |= kOptionFlags[option];
  return flags;
}

// Room for long paths (and for the list a multiple selection returns).
constexpr std::size_t kFileNameCapacity = 32768;

}  // namespace

String FilterForDialog(const String& AFilter)
{
  String result = AFilter;
  std::replace(result.begin(), result.end(), L'|', L'\0');
  result.push_back(L'\0');
  result.push_back(L'\0');
  return result;
}

String ExtensionForDialog(const String& ADefaultExt)
{
  std::size_t start = 0;
  if (ADefaultExt.starts_with(L"*."))
    start = 2;
  else if (ADefaultExt.starts_with(L"."))
    start = 1;
  return ADefaultExt.substr(start);
}

void TOpenDialog::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FFilterIndex = 1;
  FOptions = TOpenOptions{ofHideReadOnly, ofEnableSizing};
}

bool TOpenDialog::Execute()
{
  return DoExecute();
}

bool TOpenDialog::DoExecute()
{
  std::vector<wchar_t> fileName(kFileNameCapacity, L'\0');
  // A proposal longer than the buffer is cut rather than overrunning it.
  std::copy_n(FFileName.begin(), std::min(FFileName.size(), kFileNameCapacity - 1), fileName.begin());
  const String filter = FilterForDialog(FFilter);
  const String defaultExt = ExtensionForDialog(FDefaultExt);

  OPENFILENAMEW info{};
  info.lStructSize = sizeof(info);
  info.hwndOwner = OwnerWindow();
  info.lpstrFilter = FFilter.empty() ? nullptr : filter.c_str();
  info.nFilterIndex = FFilterIndex;
  info.lpstrFile = fileName.data();
  info.nMaxFile = static_cast<DWORD>(fileName.size());
  info.lpstrInitialDir = FInitialDir.empty() ? nullptr : FInitialDir.c_str();
  info.lpstrTitle = FTitle.empty() ? nullptr : FTitle.c_str();
  info.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
  info.Flags = FlagsOf(FOptions);

  if (!RunDialog(info))
    return false;
  FFileName = fileName.data();
  FFilterIndex = static_cast<int>(info.nFilterIndex);
  FOptions = FOptions - TOpenOptions{ofReadOnly, ofExtensionDifferent};
  if (info.Flags & OFN_READONLY)
    FOptions.Include(ofReadOnly);
  if (info.Flags & OFN_EXTENSIONDIFFERENT)
    FOptions.Include(ofExtensionDifferent);
  return true;
}

BOOL TOpenDialog::RunDialog(OPENFILENAMEW& AInfo)
{
  return GetOpenFileNameW(&AInfo);
}

BOOL TSaveDialog::RunDialog(OPENFILENAMEW& AInfo)
{
  return GetSaveFileNameW(&AInfo);
}

// ---------------------------------------------------------------------------
// The message dialog

namespace {

constexpr wchar_t kMessageFormClass[] = L"TMessageForm";

struct TButtonInfo {
  const wchar_t* Caption;
  TModalResult Result;
};

// In the order of TMsgDlgBtn, which is also the order on screen.
constexpr TButtonInfo kButtons[] = {
    {L"&Yes", mrYes},         {L"&No", mrNo},        {L"OK", mrOk},          {L"Cancel", mrCancel},
    {L"&Abort", mrAbort},     {L"&Retry", mrRetry},  {L"&Ignore", mrIgnore}, {L"&All", mrAll},
    {L"N&o to All", mrNoToAll}, {L"Yes to &All", mrYesToAll}, {L"&Help", mrHelp}, {L"&Close", mrClose}};
static_assert(std::size(kButtons) == mbClose + 1);

constexpr const wchar_t* kCaptions[] = {L"Warning", L"Error", L"Information", L"Confirmation"};
// The system icons' numbers (IDI_WARNING, IDI_ERROR, IDI_INFORMATION,
// IDI_QUESTION); MAKEINTRESOURCE is no constant expression.
constexpr WORD kIcons[] = {32515, 32513, 32516, 32514};

// What the window procedure and the modal loop share; it lives on
// MessageDlg's stack and the window points at it.
struct TMessageDialogState {
  TModalResult DefaultResult = mrNone;
  TModalResult CancelResult = mrNone;
  TModalResult Result = mrNone;
  bool Done = false;
};

void FinishDialog(TMessageDialogState& AState, TModalResult AResult)
{
  AState.Result = AResult;
  AState.Done = true;
}

LRESULT MessageFormMessage(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam)
{
  auto* state = reinterpret_cast<TMessageDialogState*>(GetWindowLongPtrW(AWnd, GWLP_USERDATA));
  if (!state)
    return DefWindowProcW(AWnd, AMsg, AWParam, ALParam);
  switch (AMsg) {
    // IsDialogMessage asks which button Enter presses.
    case DM_GETDEFID:
      return state->DefaultResult == mrNone ? 0 : MAKELRESULT(state->DefaultResult, DC_HASDEFID);
    case WM_COMMAND: {
      const TModalResult id = LOWORD(AWParam);
      // Escape arrives as IDCANCEL whatever buttons there are.
      const TModalResult result = id == IDCANCEL ? state->CancelResult : id;
      // Help has no file to show, so its button closes nothing.
      if (result != mrNone && result != mrHelp)
        FinishDialog(*state, result);
      return 0;
    }
    case WM_CLOSE:
      FinishDialog(*state, mrCancel);
      return 0;
    // Windows destroys the dialog with its owner: no button can end the
    // loop any more, so its going does, as closing would.
    case WM_DESTROY:
      if (!state->Done)
        FinishDialog(*state, mrCancel);
      return 0;
    default:
      return DefWindowProcW(AWnd, AMsg, AWParam, ALParam);
  }
}

LRESULT CALLBACK MessageFormProc(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam) noexcept
{
  return rtl::GuardCallback(LRESULT{0}, [&] { return MessageFormMessage(AWnd, AMsg, AWParam, ALParam); });
}

void RegisterMessageFormClass()
{
  [[maybe_unused]] static const ATOM atom = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &MessageFormProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kMessageFormClass;
    return RegisterClassW(&windowClass);
  }();
}

// The program's name: the executable's file name without extension.
String ApplicationTitle()
{
  std::array<wchar_t, MAX_PATH> path{};
  GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  String name = path.data();
  name.erase(0, name.find_last_of(L"\\/:") + 1);
  if (const std::size_t dot = name.rfind(L'.'); dot != String::npos && dot > 0)
    name.erase(dot);
  return name;
}

// Disables the enabled, visible top-level windows of the thread for the
// time the dialog is up, and enables them again when it goes.
class TTaskWindowsDisabler {
 public:
  explicit TTaskWindowsDisabler(HWND AExcept) : FExcept(AExcept)
  {
    EnumThreadWindows(GetCurrentThreadId(), &DisableWindow, reinterpret_cast<LPARAM>(this));
  }
  ~TTaskWindowsDisabler()
  {
    for (HWND wnd : FWindows)
      if (IsWindow(wnd))
        EnableWindow(wnd, TRUE);
  }
  TTaskWindowsDisabler(const TTaskWindowsDisabler&) = delete;
  TTaskWindowsDisabler& operator=(const TTaskWindowsDisabler&) = delete;

 private:
  // A window is disabled only once it is listed, so that it comes back;
  // when listing fails the enumeration ends.
  static BOOL CALLBACK DisableWindow(HWND AWnd, LPARAM AData) noexcept
  {
    return rtl::GuardCallback(FALSE, [&] {
      auto* self = reinterpret_cast<TTaskWindowsDisabler*>(AData);
      if (AWnd != self->FExcept && IsWindowVisible(AWnd) && IsWindowEnabled(AWnd)) {
        self->FWindows.push_back(AWnd);
        EnableWindow(AWnd, FALSE);
      }
      return TRUE;
    });
  }

  HWND FExcept;
  std::vector<HWND> FWindows;
};

// Destroys the dialog's window when MessageDlg leaves, by any road.
class TDialogWindow {
 public:
  explicit TDialogWindow(HWND AWnd) : FWnd(AWnd) {}
  ~TDialogWindow()
  {
    // Gone already when its owner took it along.
    if (FWnd && IsWindow(FWnd))
      DestroyWindow(FWnd);
  }
  TDialogWindow(const TDialogWindow&) = delete;
  TDialogWindow& operator=(const TDialogWindow&) = delete;
  HWND Get() const { return FWnd; }

 private:
  HWND FWnd;
};

HWND AddChild(HWND AParent, const wchar_t* AClass, const wchar_t* AText, DWORD AStyle, const RECT& ABounds, int AID,
              HFONT AFont)
{
  HWND child = CreateWindowExW(0, AClass, AText, WS_CHILD | WS_VISIBLE | AStyle, ABounds.left, ABounds.top,
                               ABounds.right - ABounds.left, ABounds.bottom - ABounds.top, AParent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(AID)), GetModuleHandleW(nullptr), nullptr);
  if (!child)
    rtl::RaiseLastOSError();
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(AFont), FALSE);
  return child;
}

struct TDialogMetrics {
  int CharWidth;
  int CharHeight;
  // Dialog units as the system's dialogs use them: a quarter of the average
  // character width across, an eighth of its height down.
  int X(int AUnits) const { return MulDiv(AUnits, CharWidth, 4); }
  int Y(int AUnits) const { return MulDiv(AUnits, CharHeight, 8); }
};

TDialogMetrics MetricsOf(HDC ADC)
{
  // The average width of the alphabet, as the system's dialogs measure it.
  static constexpr wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE size{};
  GetTextExtentPoint32W(ADC, kAlphabet, 52, &size);
  TEXTMETRICW metrics{};
  GetTextMetricsW(ADC, &metrics);
  return {(size.cx / 26 + 1) / 2, metrics.tmHeight};
}

}  // namespace

TModalResult MessageDlg(const String& AMsg, TMsgDlgType ADlgType, TMsgDlgButtons AButtons, int)
{
  RegisterMessageFormClass();
  NONCLIENTMETRICSW nonClient{};
  nonClient.cbSize = sizeof(nonClient);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(nonClient), &nonClient, 0);
  const TOwnedFont font(CreateFontIndirectW(&nonClient.lfMessageFont));

  TMessageDialogState state;
  std::vector<TMsgDlgBtn> buttons;
  for (int button = mbYes; button <= mbClose; ++button)
    if (AButtons.Contains(static_cast<TMsgDlgBtn>(button)))
      buttons.push_back(static_cast<TMsgDlgBtn>(button));
  if (!buttons.empty())
    state.DefaultResult = AButtons.Contains(mbOK)    ? mrOk
                          : AButtons.Contains(mbYes) ? mrYes
                                                     : kButtons[buttons.front()].Result;
  state.CancelResult = AButtons.Contains(mbCancel) ? mrCancel
                       : AButtons.Contains(mbNo)   ? mrNo
                       : AButtons.Contains(mbOK)   ? mrOk
                                                   : mrNone;

  // Measure with the message font.
  const HMONITOR monitor = MonitorFromWindow(GetActiveWindow(), MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO monitorInfo{};
  monitorInfo.cbSize = sizeof(monitorInfo);
  GetMonitorInfoW(monitor, &monitorInfo);
  const RECT& work = monitorInfo.rcWork;
  TDialogMetrics metrics{};
  RECT textRect{0, 0, (work.right - work.left) / 2, 0};
  int buttonWidth = 0;
  {
    const TWindowDC dc(nullptr);
    const TSelectObjectGuard selectFont(dc.Get(), font.Get());
    metrics = MetricsOf(dc.Get());
    DrawTextW(dc.Get(), AMsg.c_str(), static_cast<int>(AMsg.size()), &textRect,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    buttonWidth = metrics.X(50);
    for (TMsgDlgBtn button : buttons) {
      RECT captionRect{};
      DrawTextW(dc.Get(), kButtons[button].Caption, -1, &captionRect, DT_CALCRECT | DT_SINGLELINE);
      buttonWidth = std::max<int>(buttonWidth, captionRect.right + metrics.X(8));
    }
  }
  const bool hasIcon = ADlgType != mtCustom;
  const int iconSize = hasIcon ? GetSystemMetrics(SM_CXICON) : 0;
  const int hMargin = metrics.X(8), vMargin = metrics.Y(8), hSpacing = metrics.X(10), vSpacing = metrics.Y(10);
  const int buttonHeight = metrics.Y(14), buttonSpacing = metrics.X(4);
  const int buttonCount = static_cast<int>(buttons.size());
  const int buttonsWidth = buttonCount * buttonWidth + std::max(0, buttonCount - 1) * buttonSpacing;
  const int textLeft = hMargin + (hasIcon ? iconSize + hSpacing : 0);
  const int clientWidth = std::max<int>(textLeft + textRect.right, hMargin + buttonsWidth) + hMargin;
  const int bodyHeight = std::max<int>(iconSize, textRect.bottom);
  const int clientHeight = vMargin + bodyHeight + vSpacing + buttonHeight + vMargin;

  constexpr DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  constexpr DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  const String caption = ADlgType == mtCustom ? ApplicationTitle() : String(kCaptions[ADlgType]);
  const TDialogWindow dialog(CreateWindowExW(
      exStyle, kMessageFormClass, caption.c_str(), style, work.left + (work.right - work.left - width) / 2,
      work.top + (work.bottom - work.top - height) / 2, width, height, GetActiveWindow(), nullptr,
      GetModuleHandleW(nullptr), nullptr));
  if (!dialog.Get())
    rtl::RaiseLastOSError();
  SendMessageW(dialog.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);

  if (hasIcon) {
    HWND icon = AddChild(dialog.Get(), L"STATIC", nullptr, SS_ICON, {hMargin, vMargin, hMargin + iconSize, vMargin + iconSize},
                         -1, font.Get());
    SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, MAKEINTRESOURCEW(kIcons[ADlgType]))), 0);
  }
  AddChild(dialog.Get(), L"STATIC", AMsg.c_str(), SS_LEFT | SS_NOPREFIX,
           {textLeft, vMargin, textLeft + textRect.right, vMargin + textRect.bottom}, -1, font.Get());
  HWND defaultButton = nullptr;
  int left = (clientWidth - buttonsWidth) / 2;
  const int top = vMargin + bodyHeight + vSpacing;
  for (TMsgDlgBtn button : buttons) {
    const TButtonInfo& info = kButtons[button];
    const bool isDefault = info.Result == state.DefaultResult;
    HWND wnd = AddChild(dialog.Get(), L"BUTTON", info.Caption,
                        WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                        {left, top, left + buttonWidth, top + buttonHeight}, info.Result, font.Get());
    if (isDefault)
      defaultButton = wnd;
    left += buttonWidth + buttonSpacing;
  }

  // The state is attached last: until then the window answers as any
  // window does.
  SetWindowLongPtrW(dialog.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
  {
    const TTaskWindowsDisabler disabler(dialog.Get());
    ShowWindow(dialog.Get(), SW_SHOWNORMAL);
    SetForegroundWindow(dialog.Get());
    if (defaultButton)
      SetFocus(defaultButton);
    MSG msg;
    while (!state.Done) {
      const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
      if (got == 0) {
        // The quit request belongs to the outer loop: hand it back and close.
        PostQuitMessage(static_cast<int>(msg.wParam));
        FinishDialog(state, mrCancel);
        break;
      }
      if (got == -1)
        rtl::RaiseLastOSError();
      if (!IsDialogMessageW(dialog.Get(), &msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
    // The owner comes back before the dialog goes, so activation returns
    // to it rather than to another program.
  }
  ShowWindow(dialog.Get(), SW_HIDE);
  SetWindowLongPtrW(dialog.Get(), GWLP_USERDATA, 0);
  return state.Result;
}

}  // namespace vcl
