#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include <vssym32.h>

#include "core/dxThemeManager.h"
#include "pagecontrol/cxPC.h"
#include "pagecontrol/cxPCPainters.h"
#include "platform/vcl/ImgList.h"
#include "tests/pagecontrol/PageControlTestSupport.h"

namespace {

using pctest::NewControl;

using pctest::Rgb;
using pctest::TPCPainted;

TEST(cxPCTabsPainter, MetricsOfTheClassicTabs)
{
  TPCPainted painted(TcxPCPainterClass::Of<TcxPCTabsPainter>());
  TcxCustomTabControlViewInfo* viewInfo = painted.Control->GetViewInfo();
  ASSERT_EQ(viewInfo->TabsViewInfoCount(), 3);
  TcxTabViewInfo* main = viewInfo->GetTabViewInfo(0);
  TcxTabViewInfo* other = viewInfo->GetTabViewInfo(1);
  // Tabs start 2 pixels in; the selected tab grows 2 to each side and up.
  EXPECT_EQ(main->GetNormalRect().left, 2);
  EXPECT_EQ(main->GetNormalRect().top, 2);
  const TRect full = main->GetFullRect();
  EXPECT_EQ(full.left, 0);
  EXPECT_EQ(full.top, 0);
  EXPECT_EQ(full.bottom, main->GetNormalRect().bottom + 1);
  EXPECT_GE(other->GetNormalWidth(), 42);
  EXPECT_EQ(other->GetNormalRect().left, main->GetNormalRect().right);
  // The page frame starts on the last row of the tabs.
  const TRect frame = painted.Control->GetPCPainter()->GetPageFrameRect();
  EXPECT_EQ(frame.top, main->GetNormalRect().bottom);
  EXPECT_EQ(frame.bottom, 120);
}

TEST(cxPCTabsPainter, DrawsRaisedTabsOpenIntoTheFramedPage)
{
  TPCPainted painted(TcxPCPainterClass::Of<TcxPCTabsPainter>());
  painted.Save(L"TabsPainterTop.png");
  TcxCustomTabControlViewInfo* viewInfo = painted.Control->GetViewInfo();
  const TRect main = viewInfo->GetTabViewInfo(0)->GetFullRect();
  const TRect other = viewInfo->GetTabViewInfo(1)->GetFullRect();
  const TRect frame = painted.Control->GetPCPainter()->GetPageFrameRect();
  struct {
    const char* Name;
    int X, Y;
    vcl::TColor Color;
  } const cases[] = {
      {"main tab top highlight", main.left + 5, main.top, vcl::clBtnHighlight},
      {"main tab clipped corner", main.left, main.top, vcl::clBtnFace},
      {"main tab right shadow", main.right - 1, main.top + 5, vcl::cl3DDkShadow},
      {"main tab open into the page", main.left + 10, main.bottom, vcl::clBtnFace},
      {"other tab top highlight", other.left + 5, other.top, vcl::clBtnHighlight},
      {"frame highlight under the other tab", other.left + 5, frame.top, vcl::clBtnHighlight},
      {"frame outer shadow at the bottom", 150, frame.bottom - 1, vcl::cl3DDkShadow},
      {"frame inner shadow at the right", frame.right - 2, 80, vcl::clBtnShadow},
      {"page", 150, 80, vcl::clBtnFace},
      {"background right of the tabs", 290, 5, vcl::clBtnFace},
  };
  for (const auto& c : cases)
    EXPECT_EQ(painted.Pixel(c.X, c.Y), Rgb(c.Color)) << c.Name;
}

TEST(cxPCTabsPainter, RendersEveryTabPosition)
{
  for (TcxTabPosition position : {TcxTabPosition::tpBottom, TcxTabPosition::tpLeft, TcxTabPosition::tpRight}) {
    TPCPainted painted(TcxPCPainterClass::Of<TcxPCTabsPainter>(), position);
    painted.Save((L"TabsPainter" + rtl::GetEnumName(position) + L".png").c_str());
    // Nothing is left unpainted.
    for (int y = 0; y < 120; y += 7)
      for (int x = 0; x < 300; x += 7)
        ASSERT_NE(painted.Pixel(x, y), Rgb(vcl::clFuchsia)) << rtl::GetEnumName(position) << " " << x << "," << y;
  }
}

TEST(cxPCTabsPainter, ArrowsAppearWhenTheTabsDoNotFit)
{
  TPCPainted painted(TcxPCPainterClass::Of<TcxPCTabsPainter>());
  for (int i = 0; i < 6; ++i)
    painted.Control->GetProperties()->GetTabs()->Add(L"More tabs");
  painted.Paint();
  painted.Save(L"TabsPainterArrows.png");
  TcxCustomTabControlViewInfo* viewInfo = painted.Control->GetViewInfo();
  ASSERT_EQ(viewInfo->NavigatorButtonCount(), 2);
  const TRect left = viewInfo->GetNavigatorButtonInfo(0).Bounds;
  EXPECT_EQ(left.right - left.left, 20);
  EXPECT_EQ(viewInfo->GetNavigatorButtonInfo(1).Bounds.right, 300);
  // The left arrow is disabled: embossed in the shadow colour.
  bool shadow = false;
  for (int y = left.top; y < left.bottom; ++y)
    for (int x = left.left + 2; x < left.right - 2; ++x)
      shadow = shadow || painted.Pixel(x, y) == Rgb(vcl::clBtnShadow);
  EXPECT_TRUE(shadow);
}

TEST(cxPCTabsPainter, ThemePartsFollowTheTabsPlaceInItsRow)
{
  TPCPainted painted(TcxPCPainterClass::Of<TcxPCTabsPainter>(), TcxTabPosition::tpTop, false,
                     [](TcxCustomTabControlProperties* AProperties) {
                       AProperties->GetTabs()->Add(L"Last");
                       AProperties->SetTabIndex(1);
                     });
  painted.Control->GetViewInfo()->SetHotTrackTabVisibleIndex(2);
  auto* painter = static_cast<TcxPCTabsPainter*>(painted.Painter());
  struct {
    int Index;
    int Part, State;
  } const cases[] = {
      {0, TABP_TABITEMLEFTEDGE, TIS_NORMAL},
      {1, TABP_TABITEM, TIS_SELECTED},
      {2, TABP_TABITEM, TIS_HOT},
      {3, TABP_TABITEMRIGHTEDGE, TIS_NORMAL},
  };
  for (const auto& c : cases) {
    int part = 0, state = 0;
    painter->GetNativeTabPartAndState(c.Index, part, state);
    EXPECT_EQ(part, c.Part) << c.Index;
    EXPECT_EQ(state, c.State) << c.Index;
  }
  // The last tab of a single row is an inner item while it is the main tab.
  painted.Control->GetProperties()->SetTabIndex(3);
  painted.Paint();
  int part = 0, state = 0;
  painter->GetNativeTabPartAndState(3, part, state);
  EXPECT_EQ(part, TABP_TABITEM);
}

TEST(cxPCTabsPainter, TheNativeLookAndFeelDrawsThroughTheTheme)
{
  if (!dxThemesAvailable({TdxThemedObjectType::totTab}))
    GTEST_SKIP() << "no visual style";
  for (TcxTabPosition position : {TcxTabPosition::tpTop, TcxTabPosition::tpBottom, TcxTabPosition::tpLeft,
                                  TcxTabPosition::tpRight}) {
    TPCPainted painted(TcxPCPainterClass::Of<TcxPCTabsPainter>(), position, true);
    painted.Save(L"TabsPainterNative" + rtl::GetEnumName(position) + L".png");
    TcxPCCustomPainter* painter = painted.Painter();
    ASSERT_TRUE(painter->IsNativePainting());
    // The themed header buttons and the pane's own frame widths.
    EXPECT_EQ(painter->GetHeaderButtonHeightBase(), 21);
    const TRect frame = painter->GetPageFrameRect();
    const TRect client = painter->GetPageClientRect();
    EXPECT_GT(client.right - client.left, 0);
    EXPECT_LE(frame.left, client.left);
    EXPECT_GE(frame.bottom, client.bottom);
    for (int y = 0; y < 120; y += 5)
      for (int x = 0; x < 300; x += 5)
        ASSERT_NE(painted.Pixel(x, y), Rgb(vcl::clFuchsia)) << rtl::GetEnumName(position) << " " << x << "," << y;
  }
}

// Custom header buttons beside the go-dialog button, normal, hot and
// pressed, in the classic and the Office11 styles, for review:
// KV_RENDER_DIR=<folder> writes <style>HeaderButtons.png there. A custom
// button is drawn like the navigator buttons of its style, its image over
// the face.
TEST(cxPCPainters, CustomHeaderButtonsLookLikeTheNavigatorButtons)
{
  const rtl::TOwnedPtr<vcl::TImageList> images(
      rtl::NewWith<vcl::TImageList>([](vcl::TImageList* L) { L->CreateSize(8, 8); }));
  {
    const rtl::TOwnedPtr<TcxBitmap> image(rtl::NewWith<TcxBitmap>([](TcxBitmap* B) { B->CreateSize(8, 8); }));
    image->GetcxCanvas()->FillRect(TRect{0, 0, 8, 8}, vcl::clFuchsia);
    image->GetcxCanvas()->FillRect(TRect{1, 1, 7, 7}, vcl::clGreen);
    images->AddMasked(image.get(), vcl::clFuchsia);
  }
  struct {
    const wchar_t* Name;
    TcxPCPainterClass Class;
  } const cases[] = {
      {L"Tabs", TcxPCPainterClass::Of<TcxPCTabsPainter>()},
      {L"Office11", TcxPCPainterClass::Of<TcxPCOffice11Painter>()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.Name, c.Name + std::wcslen(c.Name)));
    TPCPainted painted(c.Class, TcxTabPosition::tpTop, false, [&](TcxCustomTabControlProperties* AProperties) {
      AProperties->SetOptions(cxPCDefaultOptions + TcxPCOptions{TcxPCOption::pcoGoDialog});
      AProperties->GetCustomButtons()->GetHeaderImages()->SetBaseImages(images.get());
      for (int i = 0; i < 3; ++i)
        AProperties->GetCustomButtons()->GetButtons()->Add()->SetHeaderImageIndex(0);
    });
    TcxCustomTabControlViewInfo* viewInfo = painted.Control->GetViewInfo();
    // The custom buttons normal, hot and pressed.
    int custom = 0;
    int goDialog = -1;
    for (int i = 0; i < viewInfo->NavigatorButtonCount(); ++i) {
      TcxPCHeaderButton& button = viewInfo->GetNavigatorButtonInfo(i);
      if (!button.Button) {
        if (button.Kind == TcxPCNavigatorButton::nbGoDialog)
          goDialog = i;
        continue;
      }
      static constexpr TcxPCNavigatorButtonState states[] = {
          TcxPCNavigatorButtonState::nbsNormal, TcxPCNavigatorButtonState::nbsHotTrack,
          TcxPCNavigatorButtonState::nbsPressed};
      button.State = states[custom++ % 3];
    }
    ASSERT_EQ(custom, 3);
    ASSERT_NE(goDialog, -1);
    painted.Control->GetPCPainter()->Paint(painted.Bitmap->GetcxCanvas());
    painted.Save(std::wstring(c.Name) + L"HeaderButtons.png");
  }
}

}  // namespace
