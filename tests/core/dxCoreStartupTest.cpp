// The core unit's start-up: the operating-system flags from given versions,
// the culture-neutral format settings, the units loader in an executable and
// in a plain dynamic library, and the core unit's finish.
#include <gtest/gtest.h>

#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "core/cxLibraryStrs.h"
#include "core/dxCore.h"

namespace {

// ---------------------------------------------------------------------------
// Operating-system flags

// The flags that are set, by short name, in a fixed order.
std::string SetFlags()
{
  const struct {
    const char* Name;
    bool Value;
  } flags[] = {
      {"9x", dxOSIsWindows9x},
      {"95", dxOSIsWindows95},
      {"NT", dxOSIsNTFamily},
      {"2000", dxOSIsWindows2000},
      {"XP", dxOSIsWindowsXP},
      {"XP+", dxOSIsWindowsXPOrLater},
      {"Vista+", dxOSIsWindowsVistaOrLater},
      {"7", dxOSIsWindows7},
      {"7+", dxOSIsWindows7OrLater},
      {"8+", dxOSIsWindows8OrLater},
      {"10+", dxOSIsWindows10OrLater},
      {"10.16299", dxOSIsWindows10Build16299},
      {"Wow64", dxOSIsWow64},
  };
  std::string result;
  for (const auto& flag : flags)
    if (flag.Value)
      result += (result.empty() ? "" : " ") + std::string(flag.Name);
  return result;
}

// What the fake kernel answers, and how often it was asked.
std::optional<TdxOSKernelVersion> FakeKernelVersion;
int KernelVersionQueries = 0;

bool GetFakeKernelVersion(TdxOSKernelVersion& AVersion)
{
  ++KernelVersionQueries;
  if (FakeKernelVersion)
    AVersion = *FakeKernelVersion;
  return FakeKernelVersion.has_value();
}

bool* const AllFlags[] = {
    &dxOSIsWindows9x,       &dxOSIsWindows95,       &dxOSIsNTFamily,         &dxOSIsWindows2000,
    &dxOSIsWindowsXP,       &dxOSIsWindowsXPOrLater, &dxOSIsWindowsVistaOrLater, &dxOSIsWindows7,
    &dxOSIsWindows7OrLater, &dxOSIsWindows8OrLater, &dxOSIsWindows10OrLater, &dxOSIsWindows10Build16299,
    &dxOSIsWow64,
};

class OSFlags : public testing::Test {
 protected:
  void SetUp() override
  {
    for (std::size_t i = 0; i < std::size(AllFlags); ++i)
      FSaved[i] = *AllFlags[i];
  }
  // The flags of the machine the tests run on come back for later tests.
  void TearDown() override
  {
    for (std::size_t i = 0; i < std::size(AllFlags); ++i)
      *AllFlags[i] = FSaved[i];
  }

 private:
  bool FSaved[std::size(AllFlags)] = {};
};

struct OSVersionCase {
  const char* System;
  TdxOSVersion Reported;
  std::optional<TdxOSKernelVersion> Kernel;
  bool IsWow64;
  const char* Expected;
  bool KernelAsked;
};

TEST_F(OSFlags, FollowTheReportedAndTheKernelVersion)
{
  constexpr DWORD NT = VER_PLATFORM_WIN32_NT;
  constexpr DWORD Win9x = VER_PLATFORM_WIN32_WINDOWS;
  const OSVersionCase cases[] = {
      {"Win32s", {0, 3, 10}, {}, false, "", false},
      {"95", {Win9x, 4, 0}, {}, false, "9x 95", false},
      {"98", {Win9x, 4, 10}, {}, false, "9x", false},
      {"NT 4", {NT, 4, 0}, {}, false, "NT", false},
      {"2000", {NT, 5, 0}, {}, false, "NT 2000", false},
      {"XP", {NT, 5, 1}, {}, false, "NT XP XP+", false},
      {"Server 2003", {NT, 5, 2}, {}, false, "NT XP XP+", false},
      {"Vista", {NT, 6, 0}, {}, false, "NT XP+ Vista+", false},
      // Before Windows 8 the kernel is not asked, whatever it would say.
      {"7", {NT, 6, 1}, TdxOSKernelVersion{10, 0, 16299}, false, "NT XP+ Vista+ 7 7+", false},
      {"8", {NT, 6, 2}, TdxOSKernelVersion{6, 2, 9200}, false, "NT XP+ Vista+ 7+ 8+", true},
      {"8.1 capped", {NT, 6, 2}, TdxOSKernelVersion{6, 3, 9600}, false, "NT XP+ Vista+ 7+ 8+", true},
      {"10 capped", {NT, 6, 2}, TdxOSKernelVersion{10, 0, 19045}, false, "NT XP+ Vista+ 7+ 8+ 10+", true},
      {"10 1709", {NT, 6, 2}, TdxOSKernelVersion{10, 0, 16299}, false, "NT XP+ Vista+ 7+ 8+ 10+ 10.16299", true},
      {"10 manifested", {NT, 10, 0}, TdxOSKernelVersion{10, 0, 22631}, false, "NT XP+ Vista+ 7+ 8+ 10+", true},
      {"kernel 10.1", {NT, 6, 2}, TdxOSKernelVersion{10, 1, 16299}, false, "NT XP+ Vista+ 7+ 8+", true},
      {"kernel 11", {NT, 6, 2}, TdxOSKernelVersion{11, 0, 1}, false, "NT XP+ Vista+ 7+ 8+ 10+", true},
      {"kernel silent", {NT, 6, 2}, {}, false, "NT XP+ Vista+ 7+ 8+", true},
      {"10 on 64 bits", {NT, 6, 2}, TdxOSKernelVersion{10, 0, 19045}, true, "NT XP+ Vista+ 7+ 8+ 10+ Wow64", true},
      {"XP on 64 bits", {NT, 5, 2}, {}, true, "NT XP XP+ Wow64", false},
  };
  for (const OSVersionCase& c : cases) {
    SCOPED_TRACE(c.System);
    FakeKernelVersion = c.Kernel;
    KernelVersionQueries = 0;
    dxSetOSVersionFlags(c.Reported, &GetFakeKernelVersion, c.IsWow64);
    EXPECT_EQ(SetFlags(), c.Expected);
    EXPECT_EQ(KernelVersionQueries, c.KernelAsked ? 1 : 0);
  }
}

TEST_F(OSFlags, WithoutAKernelQueryTheWindows10FlagsStayFalse)
{
  dxSetOSVersionFlags({VER_PLATFORM_WIN32_NT, 6, 2}, nullptr, false);
  EXPECT_EQ(SetFlags(), "NT XP+ Vista+ 7+ 8+");
}

TEST(CoreStartUp, SetTheFlagsOfTheRunningSystem)
{
  // Every system that runs the program is of the NT family and XP or later;
  // the rest depends on the system and is covered above.
  EXPECT_TRUE(dxOSIsNTFamily);
  EXPECT_TRUE(dxOSIsWindowsXPOrLater);
  EXPECT_FALSE(dxOSIsWindows9x);
}

// ---------------------------------------------------------------------------
// Culture-neutral format settings

TEST(CultureNeutralFormatSettings, AreThoseOfTheInvariantLocale)
{
  const rtl::TFormatSettings& settings = dxCultureNeutralFormatSettings();
  EXPECT_EQ(settings.DecimalSeparator, L'.');
  EXPECT_EQ(settings.ThousandSeparator, L',');
  EXPECT_EQ(settings.LongDayNames[0], L"Sunday");
  EXPECT_EQ(settings.ShortMonthNames[0], L"Jan");
  EXPECT_EQ(rtl::FloatToStr(1234.5, settings), L"1234.5");
  EXPECT_EQ(&dxCultureNeutralFormatSettings(), &settings);
}

// ---------------------------------------------------------------------------
// Units loader

std::vector<std::string>& Log()
{
  static std::vector<std::string> log;
  return log;
}

using Lines = std::vector<std::string>;

void InitA() { Log().push_back("init A"); }
void FinA() { Log().push_back("fin A"); }
void InitB() { Log().push_back("init B"); }
void FinB() { Log().push_back("fin B"); }
void InitC() { Log().push_back("init C"); }
void FinC() { Log().push_back("fin C"); }
void InitFails()
{
  Log().push_back("init Fails");
  throw rtl::EConvertError(L"start-up failed");
}

class UnitsLoader : public testing::Test {
 protected:
  void SetUp() override
  {
    Log().clear();
    FLoader = rtl::New<TdxUnitsLoader>();
    // Starts from "no start-up step has run", whatever earlier tests left.
    FLoader->Finalize();
  }
  void TearDown() override
  {
    dxSetPlainLibraryModuleForTests(false);
    rtl::FreeAndNil(FLoader);
  }

  TdxUnitsLoader* FLoader = nullptr;
};

TEST_F(UnitsLoader, InAnExecutableRunsAStartUpStepAtOnceAndAFinishStepOnceOnRemoval)
{
  EXPECT_FALSE(dxIsPlainLibraryModule());
  FLoader->AddUnit(&InitA, &FinA);
  EXPECT_EQ(Log(), Lines({"init A"}));
  EXPECT_TRUE(FLoader->InitializeList.empty());
  EXPECT_EQ(FLoader->FinalizeList, std::vector<TdxUnitsLoaderProc>({&FinA}));
  FLoader->RemoveUnit(&FinA);
  FLoader->RemoveUnit(&FinA);
  EXPECT_EQ(Log(), Lines({"init A", "fin A"}));
  EXPECT_TRUE(FLoader->FinalizeList.empty());
}

TEST_F(UnitsLoader, AFinishStepAloneRunsOnRemovalOnlyOnceSomeStartUpStepHasRun)
{
  FLoader->AddUnit(nullptr, &FinA);
  FLoader->RemoveUnit(&FinA);
  EXPECT_EQ(Log(), Lines());

  FLoader->AddUnit(nullptr, &FinA);
  FLoader->AddUnit(&InitB, nullptr);
  FLoader->RemoveUnit(&FinA);
  EXPECT_EQ(Log(), Lines({"init B", "fin A"}));
}

TEST_F(UnitsLoader, RemovesTheFirstRegistrationOnly)
{
  FLoader->AddUnit(&InitA, &FinA);
  FLoader->AddUnit(nullptr, &FinB);
  FLoader->AddUnit(nullptr, &FinA);
  FLoader->RemoveUnit(&FinA);
  FLoader->RemoveUnit(&FinC);
  EXPECT_EQ(FLoader->FinalizeList, std::vector<TdxUnitsLoaderProc>({&FinB, &FinA}));
  EXPECT_EQ(Log(), Lines({"init A", "fin A"}));
}

TEST_F(UnitsLoader, FinalizeRunsTheRemainingFinishStepsNewestFirstAndOnce)
{
  FLoader->AddUnit(&InitA, &FinA);
  FLoader->AddUnit(&InitB, &FinB);
  FLoader->AddUnit(&InitC, &FinC);
  FLoader->RemoveUnit(&FinB);
  FLoader->Finalize();
  FLoader->Finalize();
  FLoader->RemoveUnit(&FinA);
  EXPECT_EQ(Log(), Lines({"init A", "init B", "init C", "fin B", "fin C", "fin A"}));
  EXPECT_TRUE(FLoader->FinalizeList.empty());
}

// Finish steps that withdraw a step themselves, as a unit's shut-down does.
TdxUnitsLoader* WithdrawingLoader = nullptr;
void FinCWithdrawsA()
{
  Log().push_back("fin C");
  WithdrawingLoader->RemoveUnit(&FinA);
}
void FinBWithdrawsItself()
{
  Log().push_back("fin B");
  WithdrawingLoader->RemoveUnit(&FinBWithdrawsItself);
}

TEST_F(UnitsLoader, FinalizeRunsEachStepOnceWhenStepsWithdrawSteps)
{
  struct Case {
    std::vector<TdxUnitsLoaderProc> Steps;
    Lines Expected;
  };
  const Case cases[] = {
      {{&FinA, &FinB, &FinCWithdrawsA}, {"init A", "fin C", "fin A", "fin B"}},
      {{&FinA, &FinBWithdrawsItself}, {"init A", "fin B", "fin A"}},
  };
  for (const Case& c : cases) {
    Log().clear();
    WithdrawingLoader = FLoader;
    FLoader->AddUnit(&InitA, nullptr);
    for (TdxUnitsLoaderProc step : c.Steps)
      FLoader->AddUnit(nullptr, step);
    FLoader->Finalize();
    EXPECT_EQ(Log(), c.Expected);
    EXPECT_TRUE(FLoader->FinalizeList.empty());
  }
  WithdrawingLoader = nullptr;
}

TEST_F(UnitsLoader, FreeingTheLoaderRunsTheRemainingFinishStepsOnce)
{
  FLoader->AddUnit(&InitA, &FinA);
  FLoader->AddUnit(&InitB, &FinB);
  rtl::FreeAndNil(FLoader);
  EXPECT_EQ(Log(), Lines({"init A", "init B", "fin B", "fin A"}));
  // The loader's successor finds no start-up step run.
  FLoader = rtl::New<TdxUnitsLoader>();
  FLoader->AddUnit(nullptr, &FinC);
  FLoader->RemoveUnit(&FinC);
  EXPECT_EQ(Log().size(), 4u);
}

TEST_F(UnitsLoader, AFailingStartUpStepLeavesItsFinishStepUnregistered)
{
  FLoader->AddUnit(&InitA, &FinA);
  EXPECT_THROW(FLoader->AddUnit(&InitFails, &FinB), rtl::EConvertError);
  EXPECT_EQ(FLoader->FinalizeList, std::vector<TdxUnitsLoaderProc>({&FinA}));
}

TEST_F(UnitsLoader, InAPlainLibraryQueuesTheStartUpStepsUntilInitialize)
{
  dxSetPlainLibraryModuleForTests(true);
  EXPECT_TRUE(dxIsPlainLibraryModule());
  FLoader->AddUnit(&InitA, &FinA);
  FLoader->AddUnit(&InitB, &FinB);
  FLoader->AddUnit(&InitC, &FinC);
  EXPECT_EQ(Log(), Lines());
  EXPECT_EQ(FLoader->InitializeList, std::vector<TdxUnitsLoaderProc>({&InitA, &InitB, &InitC}));
  // Removed before start-up: gone, and not run.
  FLoader->RemoveUnit(&FinC);
  EXPECT_EQ(Log(), Lines());

  FLoader->Initialize();
  EXPECT_EQ(Log(), Lines({"init A", "init B", "init C"}));
  EXPECT_TRUE(FLoader->InitializeList.empty());
  FLoader->Finalize();
  EXPECT_EQ(Log(), Lines({"init A", "init B", "init C", "fin B", "fin A"}));
}

TEST_F(UnitsLoader, InAPlainLibraryFinishStepsWaitForInitialize)
{
  dxSetPlainLibraryModuleForTests(true);
  FLoader->AddUnit(&InitA, &FinA);
  FLoader->Finalize();
  EXPECT_EQ(Log(), Lines());
  EXPECT_TRUE(FLoader->FinalizeList.empty());
}

TEST(UnitsLoaderOfTheProcess, IsMadeOnce)
{
  EXPECT_EQ(dxGetUnitsLoader(), dxGetUnitsLoader());
}

// ---------------------------------------------------------------------------
// The core unit's finish

TEST(CoreFinish, RefusesInAPlainLibraryWithFinishStepsLeftElseRunsThem)
{
  Log().clear();
  TdxUnitsLoader* loader = dxGetUnitsLoader();
  loader->AddUnit(&InitA, &FinA);

  dxSetPlainLibraryModuleForTests(true);
  try {
    unit_dxCore.finalization();
    ADD_FAILURE() << "the finish went through";
  } catch (const rtl::Exception& E) {
    EXPECT_EQ(E.Message(), L"Need call dxFinalize before free library!");
  }
  dxSetPlainLibraryModuleForTests(false);
  // The loader was kept, with its step.
  EXPECT_EQ(dxGetUnitsLoader(), loader);
  EXPECT_EQ(Log(), Lines({"init A"}));

  unit_dxCore.finalization();
  EXPECT_EQ(Log(), Lines({"init A", "fin A"}));
  EXPECT_EQ(dxGetResourceStringsRepository()->ProductsCount(), 0);

  // Back to the state the other tests expect.
  unit_dxCore.initialization();
  unit_cxLibraryStrs.initialization();
}

}  // namespace
