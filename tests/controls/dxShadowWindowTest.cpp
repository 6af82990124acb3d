#include "controls/dxShadowWindow.h"

#include <gtest/gtest.h>

#include <cstring>

#include "graphics/cxGraphicsBitmaps.h"
#include "skins/dxSkinsCore.h"
#include "tests/controls/ControlsTestSupport.h"
#include "tests/support/TestHost.h"

namespace {

TEST(dxShadowWindow, TheOutputBufferGrowsInStepsOf32AndShrinksOnlyWhenFarTooLarge)
{
  struct {
    TSize Buffer, Window, Expected;
  } const cases[] = {
      {{0, 0}, {100, 40}, {128, 64}},    {{128, 64}, {120, 60}, {128, 64}}, {{128, 64}, {50, 20}, {64, 32}},
      {{128, 64}, {96, 40}, {128, 64}},  {{128, 64}, {95, 64}, {96, 96}}, {{128, 64}, {129, 10}, {160, 32}},
      {{64, 32}, {64, 32}, {64, 32}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(cxShadowBufferSize(c.Buffer, c.Window), c.Expected) << c.Window.cx << " x " << c.Window.cy;
}

// The program's resources hold the mask next to "DX_..." PNG names, where the
// platform's sorted lookup may miss it.
TEST(dxShadowWindow, FindsResourcesWhateverTheirOrderInTheDirectory)
{
  const HMODULE module = GetModuleHandleW(nullptr);
  for (const wchar_t* name : {L"DXSHADOWMASK", L"dxShadowMask", L"DX_MAPPUSHPIN", L"CX_BACKBUTTON"}) {
    const auto data = dxFindModuleResourceData(module, name, L"PNG");
    ASSERT_GT(data.size(), 8u);
    EXPECT_EQ(std::memcmp(data.data(), "\x89PNG", 4), 0);
  }
  EXPECT_TRUE(dxFindModuleResourceData(module, L"DXSHADOWMASKS", L"PNG").empty());
  EXPECT_TRUE(dxFindModuleResourceData(module, L"DXSHADOWMASK", L"SVG").empty());
}

class TShadowWindowTestShadow : public TdxCustomShadowWindow {
  RTL_CLASS(TShadowWindowTestShadow, TdxCustomShadowWindow)

 public:
  TSize BufferSize() const
  {
    return GetOutputBuffer() ? TSize{GetOutputBuffer()->GetWidth(), GetOutputBuffer()->GetHeight()} : TSize{};
  }
  bool MaskLoaded() const { return !GetShadowMask()->Empty(); }
};

class dxShadowWindowHostedTest : public kvtest::THostedTest {};

TEST_F(dxShadowWindowHostedTest, ALayeredShadowLiesUnderItsOwnerAndLetsTheMouseThrough)
{
  rtl::TOwnedPtr<TShadowWindowTestShadow> shadow(rtl::New<TShadowWindowTestShadow>(FHost.get()));
  EXPECT_TRUE(shadow->MaskLoaded());
  shadow->SetBounds(60, 60, 100, 40);
  shadow->Show();
  ASSERT_TRUE(shadow->GetVisible());
  // Owned by the owner window, it sits right next to it: the platform keeps
  // an owned window above its owner.
  EXPECT_TRUE(GetWindow(FHost->GetHandle(), GW_HWNDNEXT) == shadow->GetHandle() ||
              GetWindow(shadow->GetHandle(), GW_HWNDNEXT) == FHost->GetHandle());
  EXPECT_EQ(SendMessageW(shadow->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(70, 70)), HTTRANSPARENT);
  if (!shadow->GetTransparent())
    GTEST_SKIP() << "no layered windows on this display";

  EXPECT_NE(GetWindowLongW(shadow->GetHandle(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  EXPECT_EQ(shadow->BufferSize(), (TSize{128, 64}));
  shadow->SetBounds(60, 60, 120, 60);
  EXPECT_EQ(shadow->BufferSize(), (TSize{128, 64}));
  shadow->SetBounds(60, 60, 50, 20);
  EXPECT_EQ(shadow->BufferSize(), (TSize{64, 32}));

  shadow->SetShadowColor(vcl::clNone);
  EXPECT_EQ(shadow->GetShadowColor(), 0) << "clNone changes nothing";
  shadow->SetShadowColor(vcl::clNavy);
  EXPECT_EQ(shadow->GetShadowColor(), vcl::clNavy);

  shadow->Hide();
  EXPECT_FALSE(shadow->HandleAllocated()) << "every show makes a fresh window";
  shadow->SetTransparent(false);
  shadow->Show();
  EXPECT_EQ(GetWindowLongW(shadow->GetHandle(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
}

}  // namespace
