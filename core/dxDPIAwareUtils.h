#pragma once
// The DPI questions forms, controls and painters ask:
// - IdxScaleFactor, through which scalable objects expose their factor;
// - TdxSystemBasedScaleFactor with the system and desktop factors, and the
//   three process-wide factors (default, system, desktop);
// - the system, desktop and monitor DPI, the process's DPI awareness and
//   system metrics for a scale factor.
// The per-monitor functions of Shcore and user32 are bound by name at unit
// start-up; where one is missing its question falls back as noted. Everything
// here runs on the user-interface thread.

#include <windows.h>

#include "core/cxGeometry.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemUnits.h"

namespace rtl {
class TComponent;
}
namespace vcl {
class TControl;
class TCustomForm;
class TFont;
}

RTL_DECLARE_UNIT(dxDPIAwareUtils);

// The DPI every size is designed at.
constexpr int dxDefaultDPI = 96;

struct IdxScaleFactor : rtl::IInterface {
  RTL_GUID(IdxScaleFactor, "{367A805A-A84B-441A-83A3-6A7E489D3B6C}")
  virtual TdxScaleFactor* __stdcall GetScaleFactor() = 0;
};

// The DPI an image or an image list was designed for.
struct IdxSourceDPI : rtl::IInterface {
  RTL_GUID(IdxSourceDPI, "{FB1F0EC7-A44A-4BA1-9654-4D4A1C40E899}")
  virtual int __stdcall GetSourceDPI() = 0;
};

// The size an image was designed for, at its source DPI.
struct IdxSourceSize : rtl::IInterface {
  RTL_GUID(IdxSourceSize, "{D54394EB-29C3-4023-BE34-EA1BA0C3FA0D}")
  virtual TSize __stdcall GetSourceSize() = 0;
};

// A factor that takes its value from the system when it is created.
class TdxSystemBasedScaleFactor : public TdxScaleFactor {
  RTL_CLASS(TdxSystemBasedScaleFactor, TdxScaleFactor)

 public:
  void AfterConstruction() override;
  // Reads the system's DPI and assigns DPI/96.
  virtual void Update() = 0;
  int GetTargetDPI() const;
};

// The system DPI over 96.
class TdxSystemScaleFactor : public TdxSystemBasedScaleFactor {
  RTL_CLASS(TdxSystemScaleFactor, TdxSystemBasedScaleFactor)

 public:
  void Update() override;
};

// The desktop DPI over 96 in a DPI-aware process, else the system DPI's.
class TdxDesktopScaleFactor : public TdxSystemBasedScaleFactor {
  RTL_CLASS(TdxDesktopScaleFactor, TdxSystemBasedScaleFactor)

 public:
  void Update() override;
};

// ---------------------------------------------------------------------------
// What these routines depend on, set by the unit's start step and replaced by
// tests. The operating-system flags belong to the core unit's start-up; until
// they can be read from there, the start step here computes the three it
// needs from the true version (RtlGetVersion, which no manifest hides).

struct TdxDPIOSFlags {
  bool IsWindowsVistaOrLater;
  bool IsWindows8OrLater;
  bool IsWindows10OrLater;
};
extern TdxDPIOSFlags dxDPIOSFlags;

// Bound by name: none of them exists on every supported Windows. A missing
// one is null. The awareness values are the platform's enumeration as int.
struct TdxDPIEntryPoints {
  HRESULT(WINAPI* GetProcessDpiAwareness)(HANDLE AProcess, int* AValue);
  HRESULT(WINAPI* GetDpiForMonitor)(HMONITOR AMonitor, int ADpiType, UINT* ADpiX, UINT* ADpiY);
  int(WINAPI* GetSystemMetricsForDpi)(int AIndex, UINT ADpi);
  HANDLE(WINAPI* GetThreadDpiAwarenessContext)();
  BOOL(WINAPI* IsProcessDPIAware)();
};
extern TdxDPIEntryPoints dxDPIEntryPoints;

// The key below HKEY_CURRENT_USER that holds the desktop DPI the user
// applied, as the value "AppliedDPI".
extern const wchar_t* dxDesktopDPIRegistryKey;

// ---------------------------------------------------------------------------
// Process-wide factors, created on first request; nil once the unit has
// finished and the factor was freed.

// Left at 1:1.
TdxScaleFactor* dxGetDefaultScaleFactor();
TdxScaleFactor* dxGetSystemScaleFactor();
TdxScaleFactor* dxGetDesktopScaleFactor();

// ---------------------------------------------------------------------------
// DPI

// MulDiv(96, numerator, denominator); 96 for a 1:1 or nil factor.
int dxGetTargetDPI(const TdxScaleFactor* AScaleFactor);
// Clamped to 30..480.
int dxCheckDPI(int V);
// The screen's logical pixels per inch (LOGPIXELSY).
int dxGetSystemDPI();
// The "AppliedDPI" the user chose, when the registry holds a positive
// number there; else the system DPI.
int dxGetDesktopDPI();
// The monitor's effective DPI; the system DPI for a null monitor or when the
// system cannot tell.
int dxGetMonitorDPI(HMONITOR AMonitor);
// The DPI of the monitor nearest to P.
int dxGetDPIAtPoint(const TPoint& P);
// The factor of an object supporting IdxScaleFactor, else the system factor.
TdxScaleFactor* dxGetScaleFactorOf(rtl::TObject* AObject);

// ---------------------------------------------------------------------------
// Components, controls and forms

// The DPI of the monitor under the first control of AComponent's owner chain
// (the centre of its client area) on systems with per-monitor DPI; else, or
// when the chain holds no control, the system DPI.
int dxGetControlDPI(rtl::TComponent* AComponent);
// The form's current PPI, or its PixelsPerInch before it has one.
int dxGetFormDPI(vcl::TCustomForm* AForm);
// The scale AComponent is laid out at, as N/D: a form's DPI over 96, the
// factor of an object supporting IdxScaleFactor, else its parent's answer
// for a control; false for anything else.
bool dxFindDPIScale(rtl::TComponent* AComponent, int& N, int& D);
// MulDiv(96, N, D) of dxFindDPIScale; 96 when it finds none.
int dxGetComponentDPI(rtl::TComponent* AComponent);
// The factor of AControl or of its nearest parent supporting IdxScaleFactor.
bool dxFindParentScaleFactor(vcl::TControl* AControl, TdxScaleFactor*& AScaleFactor);
// ATarget becomes a copy of ASource with the height converted from the
// source factor to the target factor.
void dxAssignScaledFont(vcl::TFont* ATarget, vcl::TFont* ASource, const TdxScaleFactor* ATargetScaleFactor,
                        const TdxScaleFactor* ASourceScaleFactor);

// The metric at the factor's DPI; a nil factor gives the system's value.
int dxGetScaledSystemMetrics(int AIndex, const TdxScaleFactor* AScaleFactor);

// ---------------------------------------------------------------------------
// DPI awareness

// 0 unaware, 1 system aware, 2 per monitor, 3 per monitor v2.
int dxGetDPIAwareness();
// True only when GetProcessDpiAwareness is bound and succeeds.
bool dxGetProcessDpiAwarenessSafe(HANDLE AProcess, int& AValue);
bool dxIsProcessDPIAware();
bool dxIsPerMonitorV2Aware();
