#include "controls/dxSystemInfo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/cxControls.h"
#include "core/dxCore.h"
#include "platform/rtl/ClassesThreads.h"
#include "tests/support/TestSupport.h"

namespace {

// Records what it hears, with the cached drop shadow at that moment.
class TSystemInfoTestListener : public TcxIUnknownObject, public IdxSystemInfoListener {
  RTL_CLASS(TSystemInfoTestListener, TcxIUnknownObject)
  RTL_INTERFACES(IdxSystemInfoListener)

 public:
  void __stdcall Changed(UINT AParameter) override
  {
    Heard.push_back(AParameter);
    DropShadowSeen = cxGetSystemInfo()->GetIsDropShadow();
  }

  std::vector<UINT> Heard;
  bool DropShadowSeen;
};

class dxSystemInfoTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    FInfo = cxGetSystemInfo();
    ASSERT_NE(FInfo, nullptr);
    FListener.reset(rtl::New<TSystemInfoTestListener>());
  }
  void TearDown() override
  {
    FInfo->RemoveListener(FListener.get());
    FInfo->RemoveListener(FListener.get());
  }
  void SendSettingChange(WPARAM ACode) { SendMessageW(FInfo->GetHandle(), WM_SETTINGCHANGE, ACode, 0); }

  TdxSystemInfo* FInfo = nullptr;
  rtl::TOwnedPtr<TSystemInfoTestListener> FListener;
};

TEST_F(dxSystemInfoTest, ReadsTheRecordsTheCodesNeed)
{
  NONCLIENTMETRICSW metrics{};
  EXPECT_TRUE(FInfo->GetParameter(SPI_GETNONCLIENTMETRICS, metrics));
  EXPECT_EQ(metrics.cbSize, sizeof(NONCLIENTMETRICSW));
  EXPECT_EQ(FInfo->GetNonClientMetrics().iCaptionHeight, metrics.iCaptionHeight);
  LOGFONTW font{};
  EXPECT_TRUE(FInfo->GetParameter(SPI_GETICONTITLELOGFONT, font));
  EXPECT_NE(font.lfHeight, 0);
  ANIMATIONINFO animation{};
  EXPECT_TRUE(FInfo->GetParameter(SPI_GETANIMATION, animation));
  UINT menuAnimation = 2;
  EXPECT_TRUE(FInfo->GetParameter(SPI_GETMENUANIMATION, menuAnimation));
  EXPECT_LE(menuAnimation, 1u);
}

TEST_F(dxSystemInfoTest, HearsBroadcastsAsAnOrdinaryHiddenWindow)
{
  // A message-only window would never receive WM_SETTINGCHANGE.
  EXPECT_EQ(GetAncestor(FInfo->GetHandle(), GA_PARENT), GetDesktopWindow());
  EXPECT_FALSE(IsWindowVisible(FInfo->GetHandle()));
}

TEST_F(dxSystemInfoTest, RefreshesTheCacheBeforeTellingItsListeners)
{
  BOOL original = FALSE;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &original, 0));
  const BOOL changed = !original;
  if (!SystemParametersInfoW(SPI_SETDROPSHADOW, 0, reinterpret_cast<void*>(static_cast<UINT_PTR>(changed)), 0))
    GTEST_SKIP() << "the drop-shadow setting cannot be changed here";
  FInfo->AddListener(FListener.get());
  SendSettingChange(SPI_SETDROPSHADOW);
  SystemParametersInfoW(SPI_SETDROPSHADOW, 0, reinterpret_cast<void*>(static_cast<UINT_PTR>(original)), 0);
  EXPECT_EQ(FListener->Heard, std::vector<UINT>{SPI_SETDROPSHADOW});
  EXPECT_EQ(FListener->DropShadowSeen, changed != FALSE);
  SendSettingChange(SPI_SETDROPSHADOW);
  EXPECT_EQ(FInfo->GetIsDropShadow(), original != FALSE);
}

TEST_F(dxSystemInfoTest, TellsEachRegistrationOfEveryCodeButZero)
{
  FInfo->AddListener(FListener.get());
  FInfo->AddListener(FListener.get());
  SendSettingChange(0);
  EXPECT_TRUE(FListener->Heard.empty()) << "a change without a code reaches nobody";
  SendSettingChange(SPI_SETWORKAREA);
  EXPECT_EQ(FListener->Heard, (std::vector<UINT>{SPI_SETWORKAREA, SPI_SETWORKAREA}));
  FListener->Heard.clear();
  FInfo->RemoveListener(FListener.get());
  SendSettingChange(SPI_SETWORKAREA);
  EXPECT_EQ(FListener->Heard, std::vector<UINT>{SPI_SETWORKAREA}) << "one removal removes one registration";
}

TEST(cxSystemController, WakesTheUserInterfaceThreadOnlyInALibrary)
{
  const rtl::TNotifyEvent wake = rtl::GetWakeMainThread();
  rtl::TOwnedPtr<TcxSystemController> executable(rtl::New<TcxSystemController>());
  EXPECT_TRUE(rtl::GetWakeMainThread() == wake) << "an executable's loop serves the calls itself";
  executable.reset();

  dxSetPlainLibraryModuleForTests(true);
  rtl::TOwnedPtr<TcxSystemController> library(rtl::New<TcxSystemController>());
  dxSetPlainLibraryModuleForTests(false);
  ASSERT_FALSE(rtl::GetWakeMainThread() == wake);
  rtl::GetWakeMainThread()(nullptr);
  MSG msg{};
  EXPECT_TRUE(PeekMessageW(&msg, library->GetHandle(), DXM_SYNCHRONIZE, DXM_SYNCHRONIZE, PM_NOREMOVE));
  kvtest::PumpMessages();
  library.reset();
  EXPECT_TRUE(rtl::GetWakeMainThread() == wake);
}

}  // namespace
