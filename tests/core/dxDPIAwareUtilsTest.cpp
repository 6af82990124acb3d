// The DPI routines with the operating system's answers injected: the bound
// entry points are replaced by fakes (or removed, as on systems and Wine
// versions that lack them), and the desktop DPI is read from a scratch key.
#include <gtest/gtest.h>

#include <climits>

#include "core/dxDPIAwareUtils.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Graphics.h"

using enum vcl::TFontStyle;

namespace {

// What the fakes answer; plain data, set by each case.
INT_PTR FakeContext;
HRESULT FakeProcessResult;
int FakeProcessAwareness;
BOOL FakeAware;
HRESULT FakeMonitorResult;
UINT FakeMonitorDPI;

HANDLE WINAPI FakeGetThreadDpiAwarenessContext()
{
  return reinterpret_cast<HANDLE>(FakeContext);
}

HRESULT WINAPI FakeGetProcessDpiAwareness(HANDLE /*AProcess*/, int* AValue)
{
  *AValue = FakeProcessAwareness;
  return FakeProcessResult;
}

BOOL WINAPI FakeIsProcessDPIAware()
{
  return FakeAware;
}

HRESULT WINAPI FakeGetDpiForMonitor(HMONITOR /*AMonitor*/, int /*ADpiType*/, UINT* ADpiX, UINT* ADpiY)
{
  *ADpiX = FakeMonitorDPI;
  *ADpiY = FakeMonitorDPI;
  return FakeMonitorResult;
}

// Tells the index and the DPI asked for.
int WINAPI FakeGetSystemMetricsForDpi(int AIndex, UINT ADpi)
{
  return AIndex * 1000 + static_cast<int>(ADpi);
}

constexpr const wchar_t* ScratchKey = L"Software\\KelvaroTests\\dxDPIAwareUtils";

// The scratch key, deleted with its values when the case ends.
class TScratchKey {
 public:
  TScratchKey() { RegCreateKeyExW(HKEY_CURRENT_USER, ScratchKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &FKey, nullptr); }
  ~TScratchKey()
  {
    RegCloseKey(FKey);
    // Only this test's own key: other test programs run at the same time.
    RegDeleteTreeW(HKEY_CURRENT_USER, ScratchKey);
  }
  TScratchKey(const TScratchKey&) = delete;
  TScratchKey& operator=(const TScratchKey&) = delete;

  void WriteDWord(DWORD AValue)
  {
    RegSetValueExW(FKey, L"AppliedDPI", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&AValue), sizeof(AValue));
  }
  void WriteString(const wchar_t* AValue)
  {
    RegSetValueExW(FKey, L"AppliedDPI", 0, REG_SZ, reinterpret_cast<const BYTE*>(AValue),
                   static_cast<DWORD>((wcslen(AValue) + 1) * sizeof(wchar_t)));
  }

 private:
  HKEY FKey = nullptr;
};

class TScalable : public rtl::TNoRefCountObject, public IdxScaleFactor {
  RTL_CLASS(TScalable, rtl::TNoRefCountObject)
  RTL_INTERFACES(IdxScaleFactor)

 public:
  void Create(TdxScaleFactor* AFactor) { FFactor = AFactor; }
  TdxScaleFactor* __stdcall GetScaleFactor() override { return FFactor; }

 private:
  TdxScaleFactor* FFactor;
};

// A windowless container that lays its children out at its own factor.
class TDPIScaledContainer : public vcl::TWinControl, public IdxScaleFactor {
  RTL_CLASS(TDPIScaledContainer, vcl::TWinControl)
  RTL_INTERFACES(IdxScaleFactor)

 public:
  void SetFactor(TdxScaleFactor* AFactor) { FFactor = AFactor; }
  TdxScaleFactor* __stdcall GetScaleFactor() override { return FFactor; }

 private:
  TdxScaleFactor* FFactor = nullptr;
};

// The test program starts and finishes the unit.
class DPIAwareUtils : public testing::Test {
 protected:
  void SetUp() override
  {
    FSavedEntryPoints = dxDPIEntryPoints;
    FSavedFlags = dxDPIOSFlags;
    FSavedKey = dxDesktopDPIRegistryKey;
    dxDPIEntryPoints = TdxDPIEntryPoints{};
    dxDPIOSFlags = TdxDPIOSFlags{true, true, true};
    dxDesktopDPIRegistryKey = ScratchKey;
  }
  void TearDown() override
  {
    dxDPIEntryPoints = FSavedEntryPoints;
    dxDPIOSFlags = FSavedFlags;
    dxDesktopDPIRegistryKey = FSavedKey;
  }

  static rtl::TOwnedPtr<TdxScaleFactor> NewFactor(int N, int D)
  {
    rtl::TOwnedPtr<TdxScaleFactor> Result(rtl::New<TdxScaleFactor>());
    Result->Assign(N, D, false);
    return Result;
  }

 private:
  TdxDPIEntryPoints FSavedEntryPoints;
  TdxDPIOSFlags FSavedFlags;
  const wchar_t* FSavedKey;
};

TEST_F(DPIAwareUtils, ChecksAndConvertsDPI)
{
  const std::pair<int, int> Checked[] = {{20, 30}, {-5, 30}, {30, 30}, {96, 96}, {480, 480}, {600, 480}, {INT_MAX, 480}};
  for (const auto& [V, Expected] : Checked)
    EXPECT_EQ(dxCheckDPI(V), Expected) << V;

  struct Row {
    int N, D, TargetDPI;
  };
  const Row Rows[] = {{1, 1, 96}, {5, 4, 120}, {3, 2, 144}, {2, 1, 192}, {7, 4, 168}};
  for (const Row& R : Rows)
    EXPECT_EQ(dxGetTargetDPI(NewFactor(R.N, R.D).get()), R.TargetDPI) << R.N << "/" << R.D;
  EXPECT_EQ(dxGetTargetDPI(nullptr), 96);
}

TEST_F(DPIAwareUtils, AwarenessFallsBackStepByStep)
{
  struct Row {
    const char* Name;
    INT_PTR Context;  // 0: GetThreadDpiAwarenessContext missing
    bool ProcessBound;
    HRESULT ProcessResult;
    int ProcessAwareness;
    bool AwareBound;
    BOOL Aware;
    bool Vista;
    int Expected;
  };
  const Row Rows[] = {
      {"thread unaware", 16, true, S_OK, 2, true, TRUE, true, 0},
      {"thread system aware", 17, false, S_OK, 0, false, FALSE, true, 1},
      {"thread per monitor", 18, false, S_OK, 0, false, FALSE, true, 2},
      {"thread per monitor v2", 34, true, S_OK, 1, true, FALSE, true, 3},
      {"unknown context asks the process", 99, true, S_OK, 2, true, FALSE, true, 2},
      {"no thread function asks the process", 0, true, S_OK, 1, true, FALSE, true, 1},
      {"process call fails: aware", 0, true, E_INVALIDARG, 2, true, TRUE, true, 1},
      {"process call fails: not aware", 99, true, E_INVALIDARG, 2, true, FALSE, true, 0},
      {"only IsProcessDPIAware", 0, false, S_OK, 0, true, TRUE, true, 1},
      {"IsProcessDPIAware before Vista is not asked", 0, false, S_OK, 0, true, TRUE, false, 0},
      {"nothing bound", 0, false, S_OK, 0, false, FALSE, true, 0},
  };
  for (const Row& R : Rows) {
    FakeContext = R.Context;
    FakeProcessResult = R.ProcessResult;
    FakeProcessAwareness = R.ProcessAwareness;
    FakeAware = R.Aware;
    dxDPIEntryPoints.GetThreadDpiAwarenessContext = R.Context ? &FakeGetThreadDpiAwarenessContext : nullptr;
    dxDPIEntryPoints.GetProcessDpiAwareness = R.ProcessBound ? &FakeGetProcessDpiAwareness : nullptr;
    dxDPIEntryPoints.IsProcessDPIAware = R.AwareBound ? &FakeIsProcessDPIAware : nullptr;
    dxDPIOSFlags.IsWindowsVistaOrLater = R.Vista;
    EXPECT_EQ(dxGetDPIAwareness(), R.Expected) << R.Name;

    int Value = -1;
    const bool ProcessAnswers = R.ProcessBound && SUCCEEDED(R.ProcessResult);
    EXPECT_EQ(dxGetProcessDpiAwarenessSafe(GetCurrentProcess(), Value), ProcessAnswers) << R.Name;
    if (ProcessAnswers) {
      EXPECT_EQ(Value, R.ProcessAwareness) << R.Name;
    }
    EXPECT_EQ(dxIsProcessDPIAware(), R.Vista && R.AwareBound && R.Aware) << R.Name;
  }
}

TEST_F(DPIAwareUtils, PerMonitorV2NeedsWindows10)
{
  dxDPIEntryPoints.GetThreadDpiAwarenessContext = &FakeGetThreadDpiAwarenessContext;
  const struct {
    INT_PTR Context;
    bool Windows10;
    bool Expected;
  } Rows[] = {{34, true, true}, {34, false, false}, {18, true, false}};
  for (const auto& R : Rows) {
    FakeContext = R.Context;
    dxDPIOSFlags.IsWindows10OrLater = R.Windows10;
    EXPECT_EQ(dxIsPerMonitorV2Aware(), R.Expected) << R.Context << " " << R.Windows10;
  }
}

TEST_F(DPIAwareUtils, MonitorDPIFallsBackToTheSystemDPI)
{
  const int SystemDPI = dxGetSystemDPI();
  const HMONITOR Monitor = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTONEAREST);
  struct Row {
    const char* Name;
    bool Bound;
    HRESULT Result;
    UINT DPI;
    HMONITOR Monitor;
    int Expected;
  };
  const Row Rows[] = {
      {"monitor answers", true, S_OK, 144, Monitor, 144},
      {"monitor call fails", true, E_INVALIDARG, 144, Monitor, SystemDPI},
      {"monitor answers nothing", true, S_OK, 0, Monitor, SystemDPI},
      {"no monitor", true, S_OK, 144, nullptr, SystemDPI},
      {"function missing", false, S_OK, 144, Monitor, SystemDPI},
  };
  for (const Row& R : Rows) {
    FakeMonitorResult = R.Result;
    FakeMonitorDPI = R.DPI;
    dxDPIEntryPoints.GetDpiForMonitor = R.Bound ? &FakeGetDpiForMonitor : nullptr;
    EXPECT_EQ(dxGetMonitorDPI(R.Monitor), R.Expected) << R.Name;
    // Every point has a nearest monitor.
    EXPECT_EQ(dxGetDPIAtPoint(TPoint{-100000, 100000}), R.Monitor ? R.Expected : 144) << R.Name;
  }
}

TEST_F(DPIAwareUtils, DesktopDPIIsTheAppliedValueWhenItIsSound)
{
  const int SystemDPI = dxGetSystemDPI();
  {
    // No key at all.
    EXPECT_EQ(dxGetDesktopDPI(), SystemDPI);
  }
  struct Row {
    const char* Name;
    enum { None, DWord, Text } Kind;
    DWORD Value;
    int Expected;
  };
  const Row Rows[] = {
      {"no value", Row::None, 0, SystemDPI},
      {"120", Row::DWord, 120, 120},
      {"144", Row::DWord, 144, 144},
      {"zero would divide by zero", Row::DWord, 0, SystemDPI},
      {"negative", Row::DWord, 0xFFFFFF00, SystemDPI},
      {"text is no integer", Row::Text, 0, SystemDPI},
  };
  for (const Row& R : Rows) {
    TScratchKey Key;
    if (R.Kind == Row::DWord)
      Key.WriteDWord(R.Value);
    else if (R.Kind == Row::Text)
      Key.WriteString(L"120");
    EXPECT_EQ(dxGetDesktopDPI(), R.Expected) << R.Name;
  }
}

TEST_F(DPIAwareUtils, SystemBasedFactorsReadTheSystemWhenCreated)
{
  const int SystemDPI = dxGetSystemDPI();
  rtl::TOwnedPtr<TdxSystemScaleFactor> System(rtl::New<TdxSystemScaleFactor>());
  EXPECT_EQ(System->GetTargetDPI(), SystemDPI);

  TScratchKey Key;
  Key.WriteDWord(144);
  FakeAware = TRUE;
  dxDPIEntryPoints.IsProcessDPIAware = &FakeIsProcessDPIAware;
  rtl::TOwnedPtr<TdxDesktopScaleFactor> Aware(rtl::New<TdxDesktopScaleFactor>());
  EXPECT_EQ(Aware->GetNumerator(), 3);
  EXPECT_EQ(Aware->GetDenominator(), 2);
  EXPECT_EQ(Aware->GetTargetDPI(), 144);

  // A process the system scales itself sees the system DPI everywhere.
  FakeAware = FALSE;
  rtl::TOwnedPtr<TdxDesktopScaleFactor> Unaware(rtl::New<TdxDesktopScaleFactor>());
  EXPECT_EQ(Unaware->GetTargetDPI(), SystemDPI);
}

TEST_F(DPIAwareUtils, ScaledSystemMetrics)
{
  const auto Factor = NewFactor(3, 2);
  EXPECT_EQ(dxGetScaledSystemMetrics(SM_CXVSCROLL, nullptr), GetSystemMetrics(SM_CXVSCROLL));

  dxDPIEntryPoints.GetSystemMetricsForDpi = &FakeGetSystemMetricsForDpi;
  EXPECT_EQ(dxGetScaledSystemMetrics(SM_CXVSCROLL, Factor.get()), SM_CXVSCROLL * 1000 + 144);
  EXPECT_EQ(dxGetScaledSystemMetrics(SM_CYCAPTION, NewFactor(1, 1).get()), SM_CYCAPTION * 1000 + 96);

  // Without it the system's value counts as measured at the desktop DPI:
  // restart the unit so that the desktop factor is made at 120 DPI, then
  // 120 -> 144 scales by 6/5.
  unit_dxDPIAwareUtils.finalization();
  unit_dxDPIAwareUtils.initialization();
  dxDPIEntryPoints = TdxDPIEntryPoints{};
  TScratchKey Key;
  Key.WriteDWord(120);
  FakeAware = TRUE;
  dxDPIEntryPoints.IsProcessDPIAware = &FakeIsProcessDPIAware;
  ASSERT_EQ(dxGetTargetDPI(dxGetDesktopScaleFactor()), 120);
  for (int Index : {SM_CXVSCROLL, SM_CYCAPTION, SM_CXICON})
    EXPECT_EQ(dxGetScaledSystemMetrics(Index, Factor.get()), MulDiv(GetSystemMetrics(Index), 6, 5)) << Index;
}

TEST_F(DPIAwareUtils, ProcessFactorsLiveFromFirstRequestToTheUnitsFinish)
{
  TdxScaleFactor* Default = dxGetDefaultScaleFactor();
  ASSERT_NE(Default, nullptr);
  EXPECT_EQ(dxGetDefaultScaleFactor(), Default);
  EXPECT_FALSE(Default->GetAssigned());
  ASSERT_NE(dxGetSystemScaleFactor(), nullptr);
  EXPECT_EQ(dxGetTargetDPI(dxGetSystemScaleFactor()), dxGetSystemDPI());
  EXPECT_NE(dxGetDesktopScaleFactor(), nullptr);

  unit_dxDPIAwareUtils.finalization();
  EXPECT_EQ(dxGetDefaultScaleFactor(), nullptr);
  EXPECT_EQ(dxGetSystemScaleFactor(), nullptr);
  EXPECT_EQ(dxGetDesktopScaleFactor(), nullptr);
  EXPECT_EQ(dxDPIEntryPoints.GetProcessDpiAwareness, nullptr);
  EXPECT_EQ(dxDPIEntryPoints.GetThreadDpiAwarenessContext, nullptr);

  unit_dxDPIAwareUtils.initialization();
  EXPECT_NE(dxGetSystemScaleFactor(), nullptr);
}

TEST_F(DPIAwareUtils, ScaleFactorOfAnObject)
{
  const auto Factor = NewFactor(5, 4);
  rtl::TOwnedPtr<TScalable> Scalable(rtl::New<TScalable>(Factor.get()));
  rtl::TOwnedPtr<rtl::TObject> Plain(rtl::New<rtl::TObject>());
  EXPECT_EQ(dxGetScaleFactorOf(Scalable.get()), Factor.get());
  EXPECT_EQ(dxGetScaleFactorOf(Plain.get()), dxGetSystemScaleFactor());
  EXPECT_EQ(dxGetScaleFactorOf(nullptr), dxGetSystemScaleFactor());
}

// ---------------------------------------------------------------------------
// Components, controls and forms

TEST_F(DPIAwareUtils, ControlsTakeTheScaleOfTheirNearestScaledParent)
{
  const auto Factor = NewFactor(3, 2);
  rtl::TOwnedPtr<TDPIScaledContainer> Container(rtl::New<TDPIScaledContainer>(nullptr));
  Container->SetFactor(Factor.get());
  vcl::TWinControl* Inner = rtl::New<vcl::TWinControl>(Container.get());
  Inner->SetParent(Container.get());
  vcl::TControl* Leaf = rtl::New<vcl::TGraphicControl>(Container.get());
  Leaf->SetParent(Inner);
  rtl::TOwnedPtr<vcl::TWinControl> Orphan(rtl::New<vcl::TWinControl>(nullptr));

  TdxScaleFactor* Found = nullptr;
  ASSERT_TRUE(dxFindParentScaleFactor(Leaf, Found));
  EXPECT_EQ(Found, Factor.get());
  EXPECT_FALSE(dxFindParentScaleFactor(Orphan.get(), Found));

  int N = 0;
  int D = 0;
  ASSERT_TRUE(dxFindDPIScale(Leaf, N, D));
  EXPECT_EQ(N * 2, D * 3);
  EXPECT_EQ(dxGetComponentDPI(Leaf), 144);
  EXPECT_FALSE(dxFindDPIScale(Orphan.get(), N, D));
  EXPECT_EQ(dxGetComponentDPI(Orphan.get()), 96);
  EXPECT_EQ(dxGetComponentDPI(nullptr), 96);
}

TEST_F(DPIAwareUtils, AFormAnswersItsCurrentPPIOrElseItsPixelsPerInch)
{
  rtl::TOwnedPtr<vcl::TForm> Form(
      rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(vcl::Application()); }));
  vcl::TControl* Child = rtl::New<vcl::TWinControl>(Form.get());
  Child->SetParent(Form.get());
  Form->SetCurrentPPI(120);
  EXPECT_EQ(dxGetFormDPI(Form.get()), 120);
  EXPECT_EQ(dxGetComponentDPI(Child), 120);
  Form->SetCurrentPPI(0);
  EXPECT_EQ(dxGetFormDPI(Form.get()), Form->GetPixelsPerInch());
}

TEST_F(DPIAwareUtils, ControlDPIIsTheMonitorsUnderTheFirstControlOfTheOwnerChain)
{
  FakeMonitorResult = S_OK;
  FakeMonitorDPI = 168;
  dxDPIEntryPoints.GetDpiForMonitor = &FakeGetDpiForMonitor;
  rtl::TOwnedPtr<vcl::TForm> Control(
      rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(vcl::Application()); }));
  rtl::TComponent* Owned = rtl::New<rtl::TComponent>(Control.get());
  rtl::TOwnedPtr<rtl::TComponent> Loose(rtl::New<rtl::TComponent>(nullptr));

  EXPECT_EQ(dxGetControlDPI(Owned), 168);
  EXPECT_EQ(dxGetControlDPI(Loose.get()), dxGetSystemDPI());
  dxDPIOSFlags.IsWindows8OrLater = false;
  EXPECT_EQ(dxGetControlDPI(Owned), dxGetSystemDPI());
}

TEST_F(DPIAwareUtils, AScaledFontCopyConvertsTheHeightBetweenFactors)
{
  const auto Source = NewFactor(1, 1);
  const auto Target = NewFactor(3, 2);
  rtl::TOwnedPtr<vcl::TFont> From(rtl::New<vcl::TFont>());
  rtl::TOwnedPtr<vcl::TFont> To(rtl::New<vcl::TFont>());
  From->SetName(L"Tahoma");
  From->SetHeight(-11);
  From->SetStyle(vcl::TFontStyles{fsBold});
  dxAssignScaledFont(To.get(), From.get(), Target.get(), Source.get());
  EXPECT_EQ(To->GetName(), L"Tahoma");
  EXPECT_EQ(To->GetStyle(), vcl::TFontStyles{fsBold});
  EXPECT_EQ(To->GetHeight(), Target->Apply(-11, Source.get()));
  EXPECT_EQ(From->GetHeight(), -11);
}

}  // namespace
