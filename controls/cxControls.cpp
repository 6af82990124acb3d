#include "controls/cxControls.h"

#include <array>

#include "controls/cxControlChildComponent.h"
#include "controls/cxMouseTracking.h"
#include "controls/cxWindowProcs.h"
#include "controls/cxWindowUtils.h"
#include "controls/dxMessages.h"
#include "controls/dxSystemInfo.h"
#include "core/cxClasses.h"
#include "core/dxCore.h"
#include "core/dxHooks.h"
#include "core/dxUxTheme.h"
#include "graphics/dxFading.h"
#include "platform/rtl/ClassesComponents.h"
#include "platform/vcl/Forms.h"

namespace {

constexpr TcxCursorResource CursorTable[] = {
    {crcxDragCopy, L"CX_DRAGCOPYCURSOR"},
    {crcxFullScroll, L"CX_FULLSCROLLCURSOR"},
    {crcxHorScroll, L"CX_HORSCROLLCURSOR"},
    {crcxVerScroll, L"CX_VERSCROLLCURSOR"},
    {crcxUpScroll, L"CX_UPSCROLLCURSOR"},
    {crcxRightScroll, L"CX_RIGHTSCROLLCURSOR"},
    {crcxDownScroll, L"CX_DOWNSCROLLCURSOR"},
    {crcxLeftScroll, L"CX_LEFTSCROLLCURSOR"},
    {crcxRemove, L"CX_REMOVECURSOR"},
    {crcxVertSize, L"CX_VERTSIZECURSOR"},
    {crcxHorzSize, L"CX_HORZSIZECURSOR"},
    {crcxMultiDrag, L"CX_MULTIDRAGCURSOR"},
    {crcxNoDrop, L"CX_NODROPCURSOR"},
    {crcxDrag, L"CX_DRAGCURSOR"},
    {crcxHandPoint, nullptr},
    {crcxColorPicker, L"CX_COLORPICKERCURSOR"},
    {crcxMultiDragCopy, L"CX_MULTIDRAGCOPYCURSOR"},
    {crcxHand, L"CX_HANDCURSOR"},
    {crcxHandDrag, L"CX_HANDDRAGCURSOR"},
    {crdxLayoutControlNoDrop, L"DXLAYOUTCONTROLNODROP"},
    {crdxLayoutControlRemove, L"DXLAYOUTCONTROLREMOVE"},
    {crdxLayoutControlDropAfter, L"DXLAYOUTCONTROLDROPAFTER"},
    {crdxLayoutControlDropBefore, L"DXLAYOUTCONTROLDROPBEFORE"},
    {crdxLayoutControlDropInside, L"DXLAYOUTCONTROLDROPINSIDE"},
    {crcxDropAfterCopy, L"CXDROPAFTERCOPY"},
    {crcxDropBeforeCopy, L"CXDROPBEFORECOPY"},
    {crcxDropInsideCopy, L"CXDROPINSIDECOPY"},
};

struct TcxControlsState {
  int StartCount;
  bool Finalized;
  TcxSystemController* SystemController;
  TdxApplicationActivateWindowHelper* ActivateWindowHelper;
  TcxUpdateLayeredWindowFunc UpdateLayeredWindow;
  TcxMessageWindow* HiddenMessageWindow;
  TcxWindowProcController* WindowProcController;
  TdxMessagesController* MessagesController;
  TdxSystemInfo* SystemInfo;
  std::array<TcxScrollUIWindowWatcher, 8> Watchers;
  int WatcherCount;
};

constinit TcxControlsState ControlsState{};

// A service getter: the object, made on first request until the shut-down.
template <class T>
T* GetService(T*& AService)
{
  if (!AService && !ControlsState.Finalized)
    AService = rtl::New<T>();
  return AService;
}

void RegisterCursors()
{
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  for (const TcxCursorResource& cursor : CursorTable) {
    const HCURSOR handle = cursor.ResourceName ? LoadCursorW(instance, cursor.ResourceName)
                                               : LoadCursorW(nullptr, IDC_HAND);
    vcl::Screen()->SetCursors(cursor.Id, handle);
  }
}

// Buffered painting exists from Windows 6 on.
bool CanUseBufferedPaint()
{
  return dxOSIsNTFamily && dxOSIsWindowsVistaOrLater;
}

void cxControlsBufferedPaintInit()
{
  if (CanUseBufferedPaint())
    dxUxBufferedPaintInit();
}

void cxControlsBufferedPaintUnInit()
{
  if (CanUseBufferedPaint())
    dxUxBufferedPaintUnInit();
}

void CallWatchers(HWND AWnd, bool AHidden)
{
  // A copy: a check may register or leave.
  const auto watchers = ControlsState.Watchers;
  const int count = ControlsState.WatcherCount;
  for (int i = 0; i < count; ++i) {
    const auto check = AHidden ? watchers[i].CheckWindowHidden : watchers[i].CheckWindowMoved;
    if (check)
      check(AWnd);
  }
}

bool IsHidingMessage(const CWPSTRUCT& AMessage)
{
  switch (AMessage.message) {
    case WM_ENABLE:
      return AMessage.wParam == FALSE;
    case WM_WINDOWPOSCHANGED:
      return AMessage.lParam &&
             (reinterpret_cast<const WINDOWPOS*>(AMessage.lParam)->flags & SWP_HIDEWINDOW) != 0;
    case WM_CLOSE:
      return true;
    case WM_SYSCOMMAND:
      return (AMessage.wParam & 0xFFF0) == SC_MINIMIZE;
    default:
      return false;
  }
}

// The fader's reading of the system, through the system-information cache.
bool cxControlsGetFadingSystemParameter(UINT AParameter, UINT& AValue)
{
  TdxSystemInfo* info = cxGetSystemInfo();
  return info && info->GetParameter(AParameter, AValue);
}

// Reads the message about to be delivered; never changes it.
void cxControlsWndProcHook(int ACode, WPARAM /*AWParam*/, LPARAM ALParam, LRESULT& /*AHookResult*/)
{
  if (ACode != HC_ACTION || !ALParam)
    return;
  const auto& message = *reinterpret_cast<const CWPSTRUCT*>(ALParam);
  switch (message.message) {
    case WM_MOVE:
    case WM_SIZE:
    case WM_MDIACTIVATE:
    case WM_MDIRESTORE:
      CallWatchers(message.hwnd, false);
      break;
    default:
      if (IsHidingMessage(message))
        CallWatchers(message.hwnd, true);
      break;
  }
}

void cxControlsInitialization()
{
  if (ControlsState.StartCount++ > 0)
    return;
  ControlsState.Finalized = false;
  RegisterCursors();
  rtl::GroupDescendentsWith(rtl::TPersistentClass::Of<TcxControlChildComponent>(),
                            rtl::TPersistentClass::Of<vcl::TControl>());
  ControlsState.SystemController = rtl::New<TcxSystemController>();
  dxGetUnitsLoader()->AddUnit(&cxControlsBufferedPaintInit, &cxControlsBufferedPaintUnInit);
  ControlsState.ActivateWindowHelper = rtl::New<TdxApplicationActivateWindowHelper>();
  ControlsState.UpdateLayeredWindow = reinterpret_cast<TcxUpdateLayeredWindowFunc>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "UpdateLayeredWindow"));
  dxInstallHook(htWndProc, &cxControlsWndProcHook);
  dxFadingSetGetSystemParameterFunc(&cxControlsGetFadingSystemParameter);
}

void cxControlsFinalization()
{
  if (ControlsState.StartCount == 0 || --ControlsState.StartCount > 0)
    return;
  dxFadingSetGetSystemParameterFunc(nullptr);
  dxRemoveHook(&cxControlsWndProcHook);
  rtl::FreeAndNil(ControlsState.ActivateWindowHelper);
  ControlsState.Finalized = true;
  dxGetUnitsLoader()->RemoveUnit(&cxControlsBufferedPaintUnInit);
  rtl::FreeAndNil(ControlsState.SystemController);
  // A component that began tracking and never ended it: its timers go with
  // the list and the rest of the shut-down still runs; the fault is
  // reported once everything is freed.
  const int leakedTrackings = cxFreeMouseTrackingTimerList();
  rtl::FreeAndNil(ControlsState.HiddenMessageWindow);
  rtl::FreeAndNil(ControlsState.WindowProcController);
  rtl::FreeAndNil(ControlsState.MessagesController);
  rtl::FreeAndNil(ControlsState.SystemInfo);
  if (leakedTrackings != 0)
    throw EdxException(L"MouseTrackingTimerList.Count <> 0");
}

}  // namespace

RTL_UNIT(cxControls, &cxControlsInitialization, &cxControlsFinalization);

std::span<const TcxCursorResource> cxControlsCursors()
{
  return CursorTable;
}

bool cxControlsFinalized()
{
  return ControlsState.Finalized;
}

TcxWindowProcController* cxGetWindowProcController()
{
  return GetService(ControlsState.WindowProcController);
}

TdxSystemInfo* cxGetSystemInfo()
{
  return GetService(ControlsState.SystemInfo);
}

TcxMessageWindow* cxGetHiddenMessageWindow()
{
  return GetService(ControlsState.HiddenMessageWindow);
}

TdxMessagesController* cxGetMessagesController()
{
  return GetService(ControlsState.MessagesController);
}

TdxApplicationActivateWindowHelper* cxGetApplicationActivateWindowHelper()
{
  return ControlsState.ActivateWindowHelper;
}

TcxUpdateLayeredWindowFunc cxUpdateLayeredWindowFunc()
{
  return ControlsState.UpdateLayeredWindow;
}

bool cxIsUpdateLayeredWindowAvailable()
{
  return ControlsState.UpdateLayeredWindow != nullptr;
}

void cxAddScrollUIWindowWatcher(const TcxScrollUIWindowWatcher& AWatcher)
{
  if (ControlsState.WatcherCount == static_cast<int>(ControlsState.Watchers.size()))
    throw EdxException(L"Too many scroll UI window watchers");
  ControlsState.Watchers[static_cast<std::size_t>(ControlsState.WatcherCount++)] = AWatcher;
}

void cxRemoveScrollUIWindowWatcher(const TcxScrollUIWindowWatcher& AWatcher)
{
  auto& watchers = ControlsState.Watchers;
  for (int i = 0; i < ControlsState.WatcherCount; ++i) {
    if (watchers[i].CheckWindowMoved == AWatcher.CheckWindowMoved &&
        watchers[i].CheckWindowHidden == AWatcher.CheckWindowHidden) {
      for (int j = i + 1; j < ControlsState.WatcherCount; ++j)
        watchers[j - 1] = watchers[j];
      --ControlsState.WatcherCount;
      return;
    }
  }
}
