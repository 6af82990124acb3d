#include "controls/dxSystemInfo.h"

#include <algorithm>

#include "core/dxCore.h"
#include "platform/rtl/ClassesThreads.h"
#include "platform/rtl/SystemUnits.h"

namespace {

// The sizes the system checks: the wide LOGFONT, and NONCLIENTMETRICSW
// before and after Windows 6 added iPaddedBorderWidth.
constexpr UINT LogFontWSize = sizeof(LOGFONTW);
static_assert(LogFontWSize == 92);
constexpr UINT NonClientMetricsSize = sizeof(NONCLIENTMETRICSW);
static_assert(NonClientMetricsSize == 504);
constexpr UINT NonClientMetricsSizeBeforeVista = NonClientMetricsSize - sizeof(int);

}  // namespace

// ---------------------------------------------------------------------------
// TdxSystemInfo

void TdxSystemInfo::Create()
{
  inherited::Create();
  // A message-only window hears no broadcast, and WM_SETTINGCHANGE is one:
  // this window must be an ordinary hidden top-level window, or the cache
  // would never learn of a change.
  SetParent(GetHandle(), nullptr);
  UINT dropShadow = 0;
  FIsDropShadow = GetParameter(SPI_GETDROPSHADOW, dropShadow) && dropShadow != 0;
  GetParameter(SPI_GETNONCLIENTMETRICS, FNonClientMetrics);
}

void TdxSystemInfo::Destroy()
{
  FListeners.clear();
  inherited::Destroy();
}

void TdxSystemInfo::AddListener(IdxSystemInfoListener* AListener)
{
  FListeners.emplace_back(AListener);
}

void TdxSystemInfo::RemoveListener(IdxSystemInfoListener* AListener)
{
  const auto found = std::find(FListeners.begin(), FListeners.end(), rtl::IPtr<IdxSystemInfoListener>(AListener));
  if (found != FListeners.end())
    FListeners.erase(found);
}

bool TdxSystemInfo::GetParameter(UINT AParameter, void* AValue)
{
  UINT uiParam = 0;
  switch (AParameter) {
    case SPI_GETICONTITLELOGFONT:
      uiParam = LogFontWSize;
      break;
    case SPI_GETNONCLIENTMETRICS:
      static_cast<NONCLIENTMETRICSW*>(AValue)->cbSize =
          dxOSIsWindowsVistaOrLater ? NonClientMetricsSize : NonClientMetricsSizeBeforeVista;
      break;
    case SPI_GETANIMATION:
      static_cast<ANIMATIONINFO*>(AValue)->cbSize = sizeof(ANIMATIONINFO);
      uiParam = sizeof(ANIMATIONINFO);
      break;
    default:
      break;
  }
  return SystemParametersInfoW(AParameter, uiParam, AValue, 0) != FALSE;
}

bool TdxSystemInfo::GetIsRemoteSession() const
{
  return GetSystemMetrics(SM_REMOTESESSION) == 1;
}

void TdxSystemInfo::HandleMessage(rtl::TMessage& AMessage)
{
  if (AMessage.Msg != WM_SETTINGCHANGE || AMessage.WParam == 0) {
    inherited::HandleMessage(AMessage);
    return;
  }
  const UINT code = static_cast<UINT>(AMessage.WParam);
  RefreshCachedSetting(code);
  NotifySettingChanged(code);
  AMessage.Result = 0;
}

void TdxSystemInfo::RefreshCachedSetting(UINT ACode)
{
  switch (ACode) {
    case SPI_SETNONCLIENTMETRICS:
      GetParameter(SPI_GETNONCLIENTMETRICS, FNonClientMetrics);
      break;
    case SPI_SETDROPSHADOW: {
      UINT dropShadow = 0;
      FIsDropShadow = GetParameter(SPI_GETDROPSHADOW, dropShadow) && dropShadow != 0;
      break;
    }
    default:
      break;
  }
}

void TdxSystemInfo::NotifySettingChanged(UINT AParameter)
{
  // A listener may leave (or free itself) while it is told; the walk runs
  // over the list as it stood.
  const std::vector<rtl::IPtr<IdxSystemInfoListener>> listeners = FListeners;
  for (const rtl::IPtr<IdxSystemInfoListener>& listener : listeners)
    listener->Changed(AParameter);
}

// ---------------------------------------------------------------------------
// TcxSystemController

void TcxSystemController::Create()
{
  inherited::Create();
  if (dxIsPlainLibraryModule())
    HookWakeMainThread();
}

void TcxSystemController::Destroy()
{
  UnhookWakeMainThread();
  inherited::Destroy();
}

void TcxSystemController::HandleMessage(rtl::TMessage& AMessage)
{
  if (AMessage.Msg != DXM_SYNCHRONIZE) {
    inherited::HandleMessage(AMessage);
    return;
  }
  rtl::CheckSynchronize(0);
  AMessage.Result = 0;
}

void TcxSystemController::HookWakeMainThread()
{
  FPrevWakeMainThread = rtl::GetWakeMainThread();
  rtl::SetWakeMainThread(rtl::TNotifyEvent::Bind<&TcxSystemController::PostSynchronizeRequest>(this));
  FHooked = true;
}

void TcxSystemController::UnhookWakeMainThread()
{
  if (!FHooked)
    return;
  rtl::SetWakeMainThread(FPrevWakeMainThread);
  FHooked = false;
}

void TcxSystemController::PostSynchronizeRequest(rtl::TObject* /*ASender*/)
{
  PostMessageW(GetHandle(), DXM_SYNCHRONIZE, 0, 0);
}
