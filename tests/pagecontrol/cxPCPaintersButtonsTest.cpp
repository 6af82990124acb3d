#include <gtest/gtest.h>

#include <string>

#include "pagecontrol/cxPC.h"
#include "pagecontrol/cxPCPainters.h"
#include "tests/pagecontrol/PageControlTestSupport.h"

namespace {

using pctest::Rgb;
using pctest::TPCPainted;

const TcxPCPainterClass kPCButtons = TcxPCPainterClass::Of<TcxPCButtonsPainter>();
const TcxPCPainterClass kPCFlatButtons = TcxPCPainterClass::Of<TcxPCFlatButtonsPainter>();

TEST(cxPCButtonPainters, RaisedAndSunkenButtons)
{
  for (TcxTabPosition position : {TcxTabPosition::tpTop, TcxTabPosition::tpBottom, TcxTabPosition::tpLeft,
                                  TcxTabPosition::tpRight}) {
    TPCPainted buttons(kPCButtons, position);
    buttons.Save(L"ButtonsPainter" + rtl::GetEnumName(position) + L".png");
    TPCPainted flat(kPCFlatButtons, position);
    flat.Save(L"FlatButtonsPainter" + rtl::GetEnumName(position) + L".png");
  }
  TPCPainted painted(kPCButtons);
  const TRect main = painted.Tab(0)->GetFullRect();
  const TRect other = painted.Tab(1)->GetFullRect();
  struct {
    const char* Name;
    int X, Y;
    vcl::TColor Color;
  } const cases[] = {
      {"selected: outer frame sunken", main.left, main.top + 5, vcl::cl3DDkShadow},
      {"selected: inner frame sunken", main.left + 1, main.top + 5, vcl::clBtnShadow},
      {"selected: outer bottom light", main.left + 5, main.bottom - 1, vcl::clBtnHighlight},
      {"selected: face", main.left + 3, main.top + 3, vcl::clBtnHighlight},
      {"other: outer frame raised", other.left, other.top + 5, vcl::clBtnHighlight},
      {"other: outer right dark", other.right - 1, other.top + 5, vcl::cl3DDkShadow},
      {"other: inner right shadow", other.right - 2, other.top + 5, vcl::clBtnShadow},
      {"other: face", other.left + 3, other.top + 3, vcl::clBtnFace},
      // The selected button does not open into the page like a tab.
      {"under the selected button", main.left + 5, main.bottom, vcl::clBtnFace},
      {"gap between the buttons", main.right + 1, main.top + 5, vcl::clBtnFace},
  };
  for (const auto& c : cases)
    EXPECT_EQ(painted.Pixel(c.X, c.Y), Rgb(c.Color)) << c.Name;
}

TEST(cxPCButtonPainters, APressedButtonShiftsItsContent)
{
  TPCPainted painted(kPCButtons);
  TcxPCCustomPainter* painter = painted.Painter();
  struct {
    const char* Name;
    int Index;
    bool Down;
    TPoint Offsets;
  } const cases[] = {
      {"selected", 0, true, {5, 3}},
      {"normal", 1, false, {4, 4}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(painter->IsTabDrawnDown(c.Index), c.Down) << c.Name;
    const TPoint offsets = painter->GetTabContentOffsets(c.Index);
    EXPECT_EQ(offsets.x, c.Offsets.x) << c.Name;
    EXPECT_EQ(offsets.y, c.Offsets.y) << c.Name;
  }
  // The tab the mouse holds down is down in the Buttons style only.
  painted.Control->GetViewInfo()->SetTrackingTabVisibleIndex(1);
  EXPECT_TRUE(painter->IsTabDrawnDown(1));
  TPCPainted flat(kPCFlatButtons);
  flat.Control->GetViewInfo()->SetTrackingTabVisibleIndex(0);
  EXPECT_FALSE(flat.Painter()->IsTabDrawnDown(0));
  EXPECT_EQ(flat.Painter()->GetTabColor(0), vcl::clBtnHighlight);
}

TEST(cxPCButtonPainters, FlatButtonsAreDividedBySeparators)
{
  TPCPainted painted(kPCFlatButtons);
  auto* painter = static_cast<TcxPCFlatButtonsPainter*>(painted.Painter());
  const TRect main = painted.Tab(0)->GetFullRect();
  const TRect other = painted.Tab(1)->GetFullRect();
  const TRect gap = painter->GetSeparatorGap(1);
  ASSERT_EQ(gap.right - gap.left, 10);
  EXPECT_EQ(gap.left, other.right);
  const TRect last = painter->GetSeparatorGap(2);
  EXPECT_TRUE(IsRectEmpty(&last)) << "no separator after the last tab of a row";
  struct {
    const char* Name;
    int X, Y;
    vcl::TColor Color;
  } const cases[] = {
      {"selected: sunken frame", main.left, main.top + 5, vcl::clBtnShadow},
      {"selected: inner frame", main.left + 1, main.top + 5, vcl::cl3DDkShadow},
      {"other: no frame", other.left, other.top + 5, vcl::clBtnFace},
      {"separator shadow", gap.left + 4, gap.top + 5, vcl::clBtnShadow},
      {"separator highlight", gap.left + 5, gap.top + 5, vcl::clBtnHighlight},
      {"separator is shorter than the tab", gap.left + 4, gap.top, vcl::clBtnFace},
      {"gap beside the separator", gap.left + 1, gap.top + 5, vcl::clBtnFace},
  };
  for (const auto& c : cases)
    EXPECT_EQ(painted.Pixel(c.X, c.Y), Rgb(c.Color)) << c.Name;
}

}  // namespace
