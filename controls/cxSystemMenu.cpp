#include "controls/cxSystemMenu.h"

#include "controls/cxWindowUtils.h"

namespace {

// The window system's template ids, and the names Wine gives its own.
constexpr int SystemMenuTemplateIds[] = {16, 32, 48};
constexpr const wchar_t* SystemMenuTemplateNames[] = {L"SYSMENU", L"SYSMENUMDI", L"SYSMENU"};

// LockWindowUpdate for a scope.
class TcxLockWindowUpdateScope {
 public:
  TcxLockWindowUpdateScope(HWND AWnd, bool ALock) : FLocked(ALock && LockWindowUpdate(AWnd)) {}
  ~TcxLockWindowUpdateScope()
  {
    if (FLocked)
      LockWindowUpdate(nullptr);
  }
  TcxLockWindowUpdateScope(const TcxLockWindowUpdateScope&) = delete;
  TcxLockWindowUpdateScope& operator=(const TcxLockWindowUpdateScope&) = delete;

 private:
  bool FLocked;
};

void SetItemBitmap(HMENU AMenu, UINT ACommand, HBITMAP ABitmap)
{
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_BITMAP;
  info.hbmpItem = ABitmap;
  SetMenuItemInfoW(AMenu, ACommand, FALSE, &info);
}

void EnableCommand(HMENU AMenu, UINT ACommand, bool AEnabled)
{
  EnableMenuItem(AMenu, ACommand, MF_BYCOMMAND | (AEnabled ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
}

}  // namespace

HMENU cxLoadSystemMenuTemplate(int AIndex)
{
  if (AIndex < 0 || AIndex > 2)
    return nullptr;
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  HMENU menu = LoadMenuW(user32, MAKEINTRESOURCEW(SystemMenuTemplateIds[AIndex]));
  if (!menu)
    menu = LoadMenuW(user32, SystemMenuTemplateNames[AIndex]);
  if (!menu)
    return nullptr;
  MENUINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = MIM_STYLE | MIM_APPLYTOSUBMENUS;
  info.dwStyle = MNS_CHECKORBMP;
  SetMenuInfo(menu, &info);
  SetItemBitmap(menu, SC_CLOSE, HBMMENU_POPUP_CLOSE);
  if (AIndex != 2) {
    SetItemBitmap(menu, SC_MINIMIZE, HBMMENU_POPUP_MINIMIZE);
    SetItemBitmap(menu, SC_MAXIMIZE, HBMMENU_POPUP_MAXIMIZE);
    SetItemBitmap(menu, SC_RESTORE, HBMMENU_POPUP_RESTORE);
  }
  return menu;
}

void cxUpdateSystemMenuStates(HWND AWnd, HMENU AMenu)
{
  const LONG style = GetWindowLongW(AWnd, GWL_STYLE);
  const bool iconic = IsIconic(AWnd);
  const bool maximizeBox = (style & WS_MAXIMIZEBOX) != 0;
  const bool zoomed = IsZoomed(AWnd) && maximizeBox;
  EnableCommand(AMenu, SC_RESTORE, iconic || zoomed);
  EnableCommand(AMenu, SC_MINIMIZE, !iconic && (style & WS_MINIMIZEBOX) != 0);
  EnableCommand(AMenu, SC_MAXIMIZE, maximizeBox && !IsZoomed(AWnd));
  EnableCommand(AMenu, SC_SIZE, (style & WS_THICKFRAME) != 0 && !iconic && !zoomed);
  EnableCommand(AMenu, SC_MOVE,
                !maximizeBox || !IsZoomed(AWnd) || (!cxIsChildStyleWindow(AWnd) && cxIsWindowSmallerThanWorkArea(AWnd)));
  SetMenuDefaultItem(AMenu, iconic ? SC_RESTORE : SC_CLOSE, FALSE);
}

void cxAdjustSkinnedSystemMenu(HMENU ASysMenu, HWND AWnd, bool AIsDialog, vcl::TBorderIcons ABorderIcons,
                               vcl::TWindowState /*AWindowState*/, bool ALockUpdate)
{
  if (!ABorderIcons.Contains(vcl::TBorderIcon::biSystemMenu))
    return;
  TcxLockWindowUpdateScope lock(AWnd, ALockUpdate);
  if (AIsDialog) {
    DeleteMenu(ASysMenu, SC_TASKLIST, MF_BYCOMMAND);
    DeleteMenu(ASysMenu, 7, MF_BYPOSITION);
    DeleteMenu(ASysMenu, 5, MF_BYPOSITION);
    for (const UINT command : {SC_MAXIMIZE, SC_MINIMIZE, SC_SIZE, SC_RESTORE})
      DeleteMenu(ASysMenu, command, MF_BYCOMMAND);
  }
  cxUpdateSystemMenuStates(AWnd, ASysMenu);
}

void cxCopyMenuItems(HMENU ASource, HMENU ADest)
{
  if (ASource == ADest || !IsMenu(ASource) || !IsMenu(ADest))
    return;
  // By position: a separator has no command of its own to find it by.
  for (int i = GetMenuItemCount(ADest) - 1; i >= 0; --i)
    DeleteMenu(ADest, static_cast<UINT>(i), MF_BYPOSITION);
  const int count = GetMenuItemCount(ASource);
  for (int i = 0; i < count; ++i) {
    wchar_t text[512] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE | MIIM_DATA;
    info.dwTypeData = text;
    info.cch = 512;
    if (!GetMenuItemInfoW(ASource, static_cast<UINT>(i), TRUE, &info))
      continue;
    InsertMenuItemW(ADest, static_cast<UINT>(i), TRUE, &info);
    MENUITEMINFOW extra{};
    extra.cbSize = sizeof(extra);
    extra.fMask = MIIM_STRING;
    extra.dwTypeData = text;
    extra.cch = 512;
    if (GetMenuItemInfoW(ASource, static_cast<UINT>(i), TRUE, &extra) && extra.dwTypeData)
      SetMenuItemInfoW(ADest, static_cast<UINT>(i), TRUE, &extra);
    extra = {};
    extra.cbSize = sizeof(extra);
    extra.fMask = MIIM_BITMAP;
    if (GetMenuItemInfoW(ASource, static_cast<UINT>(i), TRUE, &extra))
      SetMenuItemInfoW(ADest, static_cast<UINT>(i), TRUE, &extra);
  }
  // Greyed and enabled again: the menu then draws the close item anew.
  EnableMenuItem(ADest, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  EnableMenuItem(ADest, SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
}

bool cxIsWindowSmallerThanWorkArea(HWND AWnd)
{
  const TRect window = cxGetWindowScreenRect(AWnd);
  const TRect area = cxGetMonitorWorkAreaRect(MonitorFromWindow(AWnd, MONITOR_DEFAULTTOPRIMARY));
  return window.right - window.left < area.right - area.left || window.bottom - window.top < area.bottom - area.top;
}
