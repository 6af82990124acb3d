// The control framework's two process-wide objects on hidden windows:
// - TdxSystemInfo caches the system settings controls read often (drop
//   shadow, non-client metrics) and tells its listeners of every setting
//   change;
// - TcxSystemController runs the calls other threads queue for the
//   user-interface thread when the system is a dynamic library, which has no
//   message loop of its own to serve them.
// The getters are in cxControls.h; both objects belong to the
// user-interface thread.
#pragma once

#include <windows.h>

#include <vector>

#include "core/cxClasses.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemEvents.h"

// Told the setting-change code (the SPI_SET... value WM_SETTINGCHANGE
// carries) after the cache has taken the change in.
struct IdxSystemInfoListener : rtl::IInterface {
  RTL_GUID(IdxSystemInfoListener, "{F137963E-6165-47F9-A4C7-96BB4EB91AE0}")
  virtual void __stdcall Changed(UINT AParameter) = 0;
};

class TdxSystemInfo : public TcxMessageWindow {
  RTL_CLASS(TdxSystemInfo, TcxMessageWindow)

 public:
  // The window, then the cache: drop shadow, then the non-client metrics.
  void Create() override;
  void Destroy() override;

  // Appended; a listener added twice hears each change twice.
  void AddListener(IdxSystemInfoListener* AListener);
  // Removes the first entry; a listener not listed is ignored. Listeners
  // leaving during shut-down reach the instance through cxGetSystemInfo,
  // which answers nil once it has gone: they test for that.
  void RemoveListener(IdxSystemInfoListener* AListener);

  // SystemParametersInfo of AParameter into AValue, with the size fields
  // and uiParam the codes that take a record need. AValue must be the
  // record the code reads: a LOGFONTW, a NONCLIENTMETRICSW, an
  // ANIMATIONINFO or a 32-bit value.
  bool GetParameter(UINT AParameter, void* AValue);
  template <class T>
  bool GetParameter(UINT AParameter, T& AValue)
  {
    return GetParameter(AParameter, static_cast<void*>(&AValue));
  }

  bool GetIsDropShadow() const { return FIsDropShadow; }
  const NONCLIENTMETRICSW& GetNonClientMetrics() const { return FNonClientMetrics; }
  // Read at every call: a session can move to or from a remote desktop.
  bool GetIsRemoteSession() const;

 protected:
  void HandleMessage(rtl::TMessage& AMessage) override;

 private:
  void RefreshCachedSetting(UINT ACode);
  void NotifySettingChanged(UINT AParameter);

  bool FIsDropShadow;
  std::vector<rtl::IPtr<IdxSystemInfoListener>> FListeners;
  NONCLIENTMETRICSW FNonClientMetrics;
};

// Posted to the system controller's window by threads that queued a call
// for the user-interface thread.
constexpr UINT DXM_SYNCHRONIZE = 0x8066;

class TcxSystemController : public TcxMessageWindow {
  RTL_CLASS(TcxSystemController, TcxMessageWindow)

 public:
  // In a dynamic library, becomes the run-time's wake-up handler; an
  // executable's message loop serves the queue itself.
  void Create() override;
  // Puts the previous wake-up handler back.
  void Destroy() override;

 protected:
  void HandleMessage(rtl::TMessage& AMessage) override;

 private:
  void HookWakeMainThread();
  void UnhookWakeMainThread();
  // Runs on the queueing thread: only posts.
  void PostSynchronizeRequest(rtl::TObject* ASender);

  rtl::TNotifyEvent FPrevWakeMainThread;
  bool FHooked;
};
