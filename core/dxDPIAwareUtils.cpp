#include "core/dxDPIAwareUtils.h"

#include "platform/vcl/Controls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Graphics.h"

#include <algorithm>

TdxDPIOSFlags dxDPIOSFlags;
TdxDPIEntryPoints dxDPIEntryPoints;
const wchar_t* dxDesktopDPIRegistryKey = L"Control Panel\\Desktop\\WindowMetrics";

namespace {

// GetThreadDpiAwarenessContext's answers for the four awareness levels.
constexpr INT_PTR ContextUnaware = 16;
constexpr INT_PTR ContextSystemAware = 17;
constexpr INT_PTR ContextPerMonitor = 18;
constexpr INT_PTR ContextPerMonitorV2 = 34;
// GetDpiForMonitor's MDT_EFFECTIVE_DPI: the DPI the user chose for the
// monitor, which is what windows on it are scaled by.
constexpr int EffectiveDPI = 0;

HMODULE ShcoreLibrary;
bool UnitFinished;
TdxScaleFactor* DefaultScaleFactor;
TdxScaleFactor* SystemScaleFactor;
TdxScaleFactor* DesktopScaleFactor;

template <class F>
void Bind(F& AEntryPoint, HMODULE AModule, const char* AName)
{
  AEntryPoint = AModule ? reinterpret_cast<F>(GetProcAddress(AModule, AName)) : nullptr;
}

TdxDPIOSFlags ReadOSFlags()
{
  using TRtlGetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
  TRtlGetVersion GetVersion = nullptr;
  Bind(GetVersion, GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion");
  OSVERSIONINFOW Info{};
  Info.dwOSVersionInfoSize = sizeof(Info);
  if (!GetVersion || GetVersion(&Info) != 0)
    return TdxDPIOSFlags{};
  const DWORD Version = Info.dwMajorVersion << 8 | Info.dwMinorVersion;
  return TdxDPIOSFlags{Version >= 0x0600, Version >= 0x0602, Info.dwMajorVersion >= 10};
}

void dxDPIAwareUtilsStartUp()
{
  UnitFinished = false;
  dxDPIOSFlags = ReadOSFlags();
  ShcoreLibrary = LoadLibraryW(L"Shcore.dll");
  Bind(dxDPIEntryPoints.GetProcessDpiAwareness, ShcoreLibrary, "GetProcessDpiAwareness");
  Bind(dxDPIEntryPoints.GetDpiForMonitor, ShcoreLibrary, "GetDpiForMonitor");
  const HMODULE User32 = GetModuleHandleW(L"user32.dll");
  Bind(dxDPIEntryPoints.GetSystemMetricsForDpi, User32, "GetSystemMetricsForDpi");
  Bind(dxDPIEntryPoints.GetThreadDpiAwarenessContext, User32, "GetThreadDpiAwarenessContext");
  // Missing before Vista; an import would stop the program from loading.
  Bind(dxDPIEntryPoints.IsProcessDPIAware, User32, "IsProcessDPIAware");
}

void dxDPIAwareUtilsFinish()
{
  UnitFinished = true;
  dxDPIEntryPoints = TdxDPIEntryPoints{};
  if (ShcoreLibrary)
    FreeLibrary(ShcoreLibrary);
  ShcoreLibrary = nullptr;
  rtl::FreeAndNil(DesktopScaleFactor);
  rtl::FreeAndNil(DefaultScaleFactor);
  rtl::FreeAndNil(SystemScaleFactor);
}

template <class T>
TdxScaleFactor* GetProcessFactor(TdxScaleFactor*& AFactor)
{
  if (!AFactor && !UnitFinished)
    AFactor = rtl::New<T>();
  return AFactor;
}

class TRegistryKey {
 public:
  TRegistryKey(HKEY ARoot, const wchar_t* AName)
  {
    if (RegOpenKeyExW(ARoot, AName, 0, KEY_READ, &FKey) != ERROR_SUCCESS)
      FKey = nullptr;
  }
  ~TRegistryKey()
  {
    if (FKey)
      RegCloseKey(FKey);
  }
  TRegistryKey(const TRegistryKey&) = delete;
  TRegistryKey& operator=(const TRegistryKey&) = delete;

  // False when the key did not open, the value is missing or no DWORD.
  bool ReadInteger(const wchar_t* AName, int& AValue) const
  {
    DWORD Type = 0;
    DWORD Data = 0;
    DWORD Size = sizeof(Data);
    if (!FKey || RegQueryValueExW(FKey, AName, nullptr, &Type, reinterpret_cast<BYTE*>(&Data), &Size) != ERROR_SUCCESS ||
        Type != REG_DWORD || Size != sizeof(Data))
      return false;
    AValue = static_cast<int>(Data);
    return true;
  }

 private:
  HKEY FKey;
};

}  // namespace

RTL_UNIT(dxDPIAwareUtils, &dxDPIAwareUtilsStartUp, &dxDPIAwareUtilsFinish);

// ---------------------------------------------------------------------------
// System-based factors

void TdxSystemBasedScaleFactor::AfterConstruction()
{
  inherited::AfterConstruction();
  Update();
}

int TdxSystemBasedScaleFactor::GetTargetDPI() const
{
  return dxGetTargetDPI(this);
}

void TdxSystemScaleFactor::Update()
{
  Assign(dxGetSystemDPI(), dxDefaultDPI, false);
}

void TdxDesktopScaleFactor::Update()
{
  Assign(dxIsProcessDPIAware() ? dxGetDesktopDPI() : dxGetSystemDPI(), dxDefaultDPI, false);
}

// ---------------------------------------------------------------------------
// Process-wide factors

TdxScaleFactor* dxGetDefaultScaleFactor()
{
  return GetProcessFactor<TdxScaleFactor>(DefaultScaleFactor);
}

TdxScaleFactor* dxGetSystemScaleFactor()
{
  return GetProcessFactor<TdxSystemScaleFactor>(SystemScaleFactor);
}

TdxScaleFactor* dxGetDesktopScaleFactor()
{
  return GetProcessFactor<TdxDesktopScaleFactor>(DesktopScaleFactor);
}

// ---------------------------------------------------------------------------
// DPI

int dxGetTargetDPI(const TdxScaleFactor* AScaleFactor)
{
  if (!AScaleFactor || !AScaleFactor->GetAssigned())
    return dxDefaultDPI;
  return MulDiv(dxDefaultDPI, AScaleFactor->GetNumerator(), AScaleFactor->GetDenominator());
}

int dxCheckDPI(int V)
{
  return std::clamp(V, 30, 480);
}

int dxGetSystemDPI()
{
  const vcl::TScreenDC DC;
  return GetDeviceCaps(DC.Get(), LOGPIXELSY);
}

int dxGetDesktopDPI()
{
  // A zero or negative value would make a factor that divides by zero; such a
  // value is treated as missing.
  const TRegistryKey Key(HKEY_CURRENT_USER, dxDesktopDPIRegistryKey);
  int Result = 0;
  if (Key.ReadInteger(L"AppliedDPI", Result) && Result > 0)
    return Result;
  return dxGetSystemDPI();
}

int dxGetMonitorDPI(HMONITOR AMonitor)
{
  UINT DpiX = 0;
  UINT DpiY = 0;
  if (AMonitor && dxDPIEntryPoints.GetDpiForMonitor &&
      SUCCEEDED(dxDPIEntryPoints.GetDpiForMonitor(AMonitor, EffectiveDPI, &DpiX, &DpiY)) && DpiY > 0)
    return static_cast<int>(DpiY);
  return dxGetSystemDPI();
}

int dxGetDPIAtPoint(const TPoint& P)
{
  return dxGetMonitorDPI(MonitorFromPoint(P, MONITOR_DEFAULTTONEAREST));
}

TdxScaleFactor* dxGetScaleFactorOf(rtl::TObject* AObject)
{
  rtl::IPtr<IdxScaleFactor> Intf;
  if (rtl::Supports<IdxScaleFactor>(AObject, &Intf))
    return Intf->GetScaleFactor();
  return dxGetSystemScaleFactor();
}

int dxGetControlDPI(rtl::TComponent* AComponent)
{
  if (!dxDPIOSFlags.IsWindows8OrLater)
    return dxGetSystemDPI();
  while (AComponent && !rtl::Is<vcl::TControl>(AComponent))
    AComponent = AComponent->GetOwner();
  if (!AComponent)
    return dxGetSystemDPI();
  vcl::TControl* control = static_cast<vcl::TControl*>(AComponent);
  return dxGetDPIAtPoint(control->ClientToScreen(cxRectCenterPoint(control->GetClientRect())));
}

int dxGetFormDPI(vcl::TCustomForm* AForm)
{
  const int current = AForm->GetCurrentPPI();
  return current != 0 ? current : AForm->GetPixelsPerInch();
}

bool dxFindDPIScale(rtl::TComponent* AComponent, int& N, int& D)
{
  if (!AComponent)
    return false;
  if (rtl::Is<vcl::TCustomForm>(AComponent)) {
    N = dxGetFormDPI(static_cast<vcl::TCustomForm*>(AComponent));
    D = dxDefaultDPI;
    return true;
  }
  rtl::IPtr<IdxScaleFactor> intf;
  if (rtl::Supports<IdxScaleFactor>(AComponent, &intf)) {
    N = intf->GetScaleFactor()->GetNumerator();
    D = intf->GetScaleFactor()->GetDenominator();
    return true;
  }
  if (rtl::Is<vcl::TControl>(AComponent))
    return dxFindDPIScale(static_cast<vcl::TControl*>(AComponent)->GetParent(), N, D);
  return false;
}

int dxGetComponentDPI(rtl::TComponent* AComponent)
{
  int n = 0;
  int d = 0;
  return dxFindDPIScale(AComponent, n, d) ? MulDiv(dxDefaultDPI, n, d) : dxDefaultDPI;
}

bool dxFindParentScaleFactor(vcl::TControl* AControl, TdxScaleFactor*& AScaleFactor)
{
  for (vcl::TControl* control = AControl; control; control = control->GetParent()) {
    rtl::IPtr<IdxScaleFactor> intf;
    if (rtl::Supports<IdxScaleFactor>(control, &intf)) {
      AScaleFactor = intf->GetScaleFactor();
      return true;
    }
  }
  return false;
}

void dxAssignScaledFont(vcl::TFont* ATarget, vcl::TFont* ASource, const TdxScaleFactor* ATargetScaleFactor,
                        const TdxScaleFactor* ASourceScaleFactor)
{
  ATarget->Assign(ASource);
  ATarget->SetHeight(ATargetScaleFactor->Apply(ASource->GetHeight(), ASourceScaleFactor));
}

int dxGetScaledSystemMetrics(int AIndex, const TdxScaleFactor* AScaleFactor)
{
  if (!AScaleFactor)
    return GetSystemMetrics(AIndex);
  if (dxDPIEntryPoints.GetSystemMetricsForDpi)
    return dxDPIEntryPoints.GetSystemMetricsForDpi(AIndex, dxGetTargetDPI(AScaleFactor));
  // The system answers at the desktop's scale.
  return AScaleFactor->Apply(GetSystemMetrics(AIndex), dxGetDesktopScaleFactor());
}

// ---------------------------------------------------------------------------
// DPI awareness

int dxGetDPIAwareness()
{
  if (dxDPIEntryPoints.GetThreadDpiAwarenessContext) {
    switch (reinterpret_cast<INT_PTR>(dxDPIEntryPoints.GetThreadDpiAwarenessContext())) {
      case ContextUnaware:
        return 0;
      case ContextSystemAware:
        return 1;
      case ContextPerMonitor:
        return 2;
      case ContextPerMonitorV2:
        return 3;
    }
  }
  int Result = 0;
  if (dxGetProcessDpiAwarenessSafe(GetCurrentProcess(), Result))
    return Result;
  return dxIsProcessDPIAware() ? 1 : 0;
}

bool dxGetProcessDpiAwarenessSafe(HANDLE AProcess, int& AValue)
{
  return dxDPIEntryPoints.GetProcessDpiAwareness && SUCCEEDED(dxDPIEntryPoints.GetProcessDpiAwareness(AProcess, &AValue));
}

bool dxIsProcessDPIAware()
{
  return dxDPIOSFlags.IsWindowsVistaOrLater && dxDPIEntryPoints.IsProcessDPIAware &&
         dxDPIEntryPoints.IsProcessDPIAware();
}

bool dxIsPerMonitorV2Aware()
{
  return dxDPIOSFlags.IsWindows10OrLater && dxGetDPIAwareness() == 3;
}
