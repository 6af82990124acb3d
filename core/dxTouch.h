// The dxTouch unit: touch gestures.
//   IdxGestureOwner, IdxGestureClient and the zoom and rotate targets: what
//     a control and its scrolling targets offer to the gesture helper
//   TdxGestureHelper: turns the window's gesture messages into scrolling
//     (with the system's over-pan feedback at the content's ends), zooming
//     and rotating of the target under the finger
//   the conversions between the Windows pan flags and the gesture options,
//   and the gesture configuration of windows
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "core/dxTypeHelpers.h"
#include "platform/rtl/Messages.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/vcl/Controls.h"

RTL_DECLARE_UNIT(dxTouch);

// The layout of the Windows GESTURECONFIG.
struct TdxGestureConfig {
  DWORD dwID;
  DWORD dwWant;
  DWORD dwBlock;
};
static_assert(sizeof(TdxGestureConfig) == 12);
using TdxGestureConfigs = std::vector<TdxGestureConfig>;

// Horizontal 0, vertical 1.
enum TdxScrollKind { sbHorizontal, sbVertical };

struct IdxGestureClient : rtl::IInterface {
  RTL_GUID(IdxGestureClient, "{652B8A09-DAC8-4332-9206-C8905AEE7791}")
  virtual bool __stdcall GestureAllowGesture(DWORD AGestureID) = 0;
  virtual bool __stdcall GestureAllowPan(TdxScrollKind AScrollKind) = 0;
  virtual void __stdcall GestureBeginScroll(const TPoint& APoint) = 0;
  virtual void __stdcall GestureEndScroll() = 0;
  virtual void __stdcall GestureScroll(int ADeltaX, int ADeltaY) = 0;
  virtual DWORD __stdcall GestureGetPanOptions() = 0;
  virtual bool __stdcall GestureIsPanArea(const TPoint& APoint) = 0;
  virtual bool __stdcall GestureNeedPanningFeedback(TdxScrollKind AScrollKind) = 0;
};

struct IdxGestureOwner : rtl::IInterface {
  RTL_GUID(IdxGestureOwner, "{4DF001DA-BE2C-4817-B75C-55171270D158}")
  virtual void __stdcall GestureGetClientAt(const TPoint& APoint, rtl::IPtr<IdxGestureClient>& AClient) = 0;
  virtual HWND __stdcall GestureGetHandle() = 0;
  virtual bool __stdcall GestureIsTarget(HWND AWnd) = 0;
  virtual TPoint __stdcall GestureScreenToClient(const TPoint& APoint) = 0;
};

struct IdxZoomClient : rtl::IInterface {
  RTL_GUID(IdxZoomClient, "{B3A0623E-D155-462F-B234-22E9CFC6BFBF}")
  virtual void __stdcall Zoom(int ADelta, bool& AHandled) = 0;
};

struct IdxRotateClient : rtl::IInterface {
  RTL_GUID(IdxRotateClient, "{EAC9BA3A-C2C3-42E2-8CA8-8CEA85821CAE}")
  virtual void __stdcall Rotate(double AAngle, bool& AHandled) = 0;
};

// GID_ZOOM 0, GID_PAN 1, GID_ROTATE 2, GID_TWOFINGERTAP 3, anything else 4.
int dxGestureIDToIndex(DWORD AID);
vcl::TInteractiveGestureOption dxPanOptionToGestureOption(DWORD AFlag);
vcl::TInteractiveGestureOptions dxGestureOptionsFromPanOptions(DWORD AFlags);
DWORD dxPanOptionsFromGestureOptions(vcl::TInteractiveGestureOptions AOptions);
// False when the system lacks the function.
bool dxSetGestureConfigSafe(HWND AWnd, const TdxGestureConfigs& AConfigs);
bool dxPhysicalToLogicalPointSafe(HWND AWnd, TPoint& APoint);
// Every gesture blocked on AWnd; the message answers 1 even where the
// system cannot configure gestures.
void dxBlockAllGestures(HWND AWnd, rtl::TMessage& AMessage);

class TdxGestureHelper : public rtl::TObject {
  RTL_CLASS(TdxGestureHelper, rtl::TObject)

 public:
  void Create(IdxGestureOwner* AGestureOwner);
  void Destroy() override;

  // True for a handled WM_GESTURE; WM_DESTROY ends a running pan and
  // WM_GESTURENOTIFY finds the control under the finger.
  bool HandleMessage(rtl::TMessage& AMessage);
  // Drops the single-finger pan options the target at the start point does
  // not allow, and pan itself when none remains.
  void CheckGestureOptions(vcl::TInteractiveGestures& AGestures, vcl::TInteractiveGestureOptions& AOptions);
  void DoGesture(const vcl::TGestureEventInfo& AEventInfo, bool& AHandled);
  // Called by the scrolling target: a position beyond the content's ends
  // grows the over-pan of that axis.
  void CheckOverpan(TdxScrollKind AScrollKind, int ANewDataPos, int AMinDataPos, int AMaxDataPos, int ADeltaX,
                    int ADeltaY);

  bool IsPanning() const { return FIsPanning; }
  TPoint GetOverPan() const { return FOverPan; }
  // The start point of the last gesture announced in the thread, in screen
  // coordinates.
  static TPoint GetStartPoint();
  static void SetStartPoint(const TPoint& APoint);
  // The control the running gesture goes to, and the one found under the
  // finger when it was announced.
  vcl::TControl* GetTouchControl() const { return FTouchControl; }
  vcl::TControl* GetNotifyTouchControl() const { return FNotifyTouchControl; }

 protected:
  // Reads and closes the gesture information of WM_GESTURE; false when the
  // system cannot tell it.
  virtual bool ReadGestureInfo(HGESTUREINFO AHandle, GESTUREINFO& AInfo);

  virtual bool AllowGesture(DWORD AGestureID);
  virtual bool AllowPan(TdxScrollKind AScrollKind);
  virtual HWND GetHandle();
  virtual DWORD GetPanOptions();
  virtual bool IsTarget(HWND AWnd);
  virtual bool IsPanArea(const TPoint& APoint);
  virtual bool NeedPanningFeedback(TdxScrollKind AScrollKind);
  virtual TPoint ScreenToClient(const TPoint& APoint);

 private:
  bool NeedAnyPanningFeedback();
  bool ProcessPan(const TPoint& ALocation, bool ABegin, bool AInertia, bool AEnd);
  bool ProcessZoom(int ADistance, bool ABegin, bool AEnd);
  bool ProcessRotate(bool ABegin, bool AEnd, double AAngle);
  void EndPan();
  void UpdateOverPan(TdxScrollKind AScrollKind, int ADelta);
  // The part of ADelta that takes the over-pan of the axis back to 0.
  void ConsumeOverPan(TdxScrollKind AScrollKind, int& ADelta);
  void HandleGesture(rtl::TMessage& AMessage);
  void HandleGestureNotify();
  // The event of AInfo for AControl, in its client coordinates.
  vcl::TGestureEventInfo GestureEvent(const GESTUREINFO& AInfo, vcl::TControl* AControl);
  // The control from AControl up that takes the gesture: a control that
  // leaves it to its parent passes it on.
  static vcl::TControl* GestureTarget(vcl::TControl* AControl, DWORD AGestureID);
  bool IsOwnControl(vcl::TControl* AControl);

  friend void dxTouchWndProcHook(int, WPARAM, LPARAM, LRESULT&);

  bool FIsInertia;
  bool FIsPanning;
  rtl::IPtr<IdxGestureClient> FGestureClient;
  rtl::IPtr<IdxGestureClient> FGestureNotifyClient;
  IdxGestureOwner* FGestureOwner;
  int FLastDistance;
  TPoint FPanPoint;
  TPoint FOverPan;
  vcl::TControl* FNotifyTouchControl;
  vcl::TControl* FTouchControl;
};
