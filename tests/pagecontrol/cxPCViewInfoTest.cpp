#include <gtest/gtest.h>

#include <vector>

#include "pagecontrol/cxPC.h"
#include "tests/pagecontrol/PageControlTestSupport.h"

namespace {

using pctest::NewControl;
using pctest::TPCMetricsPainter;

// A control whose tabs have the given widths; the row is as long as the
// control is wide, less 20 pixels for each header button.
struct TPCLayout {
  pctest::TPCControlPtr Control;
  TPCMetricsPainter* Painter;
  TcxCustomTabControlViewInfo* ViewInfo;

  TPCLayout(int ARowWidth, std::vector<int> AWidths, int AGap = 0, bool AMultiLine = false)
      : Control(NewControl(ARowWidth, 200))
  {
    Painter = Control->SetPainter<TPCMetricsPainter>();
    Painter->Widths = AWidths;
    Painter->Distance = TSize{AGap, AGap};
    ViewInfo = Control->GetViewInfo();
    Control->GetProperties()->SetMultiLine(AMultiLine);
    Control->AddTabs(static_cast<int>(AWidths.size()));
    ViewInfo->Calculate();
  }

  std::vector<int> Rows() const
  {
    std::vector<int> rows;
    for (int i = 0; i < ViewInfo->TabsViewInfoCount(); ++i)
      rows.push_back(ViewInfo->GetTabViewInfo(i)->GetRow());
    return rows;
  }
  std::vector<int> Lefts() const
  {
    std::vector<int> lefts;
    for (int i = 0; i < ViewInfo->TabsViewInfoCount(); ++i)
      lefts.push_back(ViewInfo->GetTabViewInfo(i)->GetNormalRect().left);
    return lefts;
  }
  std::vector<int> NormalWidths() const
  {
    std::vector<int> widths;
    for (int i = 0; i < ViewInfo->TabsViewInfoCount(); ++i)
      widths.push_back(ViewInfo->GetTabViewInfo(i)->GetNormalWidth());
    return widths;
  }
};

TEST(cxPCViewInfoLayout, SplitIntoRowsFillsRowsAndBalancesThem)
{
  struct {
    const char* Name;
    int RowWidth;
    int Gap;
    std::vector<int> Widths;
    std::vector<int> Rows;
  } const cases[] = {
      // After the first tab 51 is used, and 51 + 49 = 100 still fits.
      {"49s", 100, 2, {49, 49, 49}, {0, 0, 1}},
      {"50s", 100, 2, {50, 50, 50}, {0, 1, 2}},
      // Greedy rows 3/1/1 are evened out to 2/2/1.
      {"balanced", 100, 0, {30, 30, 30, 30, 90}, {0, 0, 1, 1, 2}},
      // The same a hundred times wider: the costs are powers of two far
      // beyond a double, and the balancing must still see the difference.
      {"wide", 10000, 0, {3000, 3000, 3000, 3000, 9000}, {0, 0, 1, 1, 2}},
      // No move improves these rows: balancing must end on equal costs
      // (a rounded cost once compared unequal with itself and it never did).
      {"settled", 146, 0, {44, 42, 43, 53, 53, 53, 53}, {0, 0, 0, 1, 1, 2, 2}},
      // A tab longer than the row stands alone and is cut to the row.
      {"long", 100, 0, {40, 150, 40}, {0, 1, 2}},
  };
  for (const auto& c : cases) {
    TPCLayout layout(c.RowWidth, c.Widths, c.Gap, true);
    EXPECT_EQ(layout.Rows(), c.Rows) << c.Name;
    EXPECT_EQ(layout.ViewInfo->GetRowCount(), c.Rows.back() + 1) << c.Name;
  }
  TPCLayout layout(100, {40, 150, 40}, 0, true);
  EXPECT_EQ(layout.ViewInfo->GetTabViewInfo(1)->GetNormalWidth(), 100);
}

TEST(cxPCViewInfoLayout, RowsAreStretchedToTheRowUnlessRaggedRight)
{
  TPCLayout layout(100, {30, 30, 30, 30, 90}, 0, true);
  EXPECT_EQ(layout.NormalWidths(), (std::vector<int>{50, 50, 50, 50, 100}));
}

TEST(cxPCViewInfoLayout, TheMainTabsRowMovesNextToThePage)
{
  TPCLayout layout(100, {60, 60, 60}, 0, true);
  // Row 0 holds the current tab: it becomes the last visible row.
  EXPECT_EQ(layout.ViewInfo->GetTabViewInfo(0)->GetVisibleRow(), 2);
  EXPECT_EQ(layout.ViewInfo->GetTabViewInfo(1)->GetVisibleRow(), 0);
  EXPECT_EQ(layout.ViewInfo->GetTabViewInfo(0)->GetNormalRect().top, 40);
  EXPECT_EQ(layout.ViewInfo->GetTabViewInfo(1)->GetNormalRect().top, 0);
}

TEST(cxPCViewInfoLayout, WithoutScrollingATooLongRowIsSqueezedInProportion)
{
  pctest::TPCControlPtr control = NewControl(100, 200);
  TPCMetricsPainter* painter = control->SetPainter<TPCMetricsPainter>();
  painter->Widths = {10, 20, 30, 40, 20};
  control->GetProperties()->SetTabsScroll(false);
  control->AddTabs(5);
  TcxCustomTabControlViewInfo* viewInfo = control->GetViewInfo();
  viewInfo->Calculate();
  std::vector<int> widths, lefts;
  for (int i = 0; i < 5; ++i) {
    widths.push_back(viewInfo->GetTabViewInfo(i)->GetNormalWidth());
    lefts.push_back(viewInfo->GetTabViewInfo(i)->GetNormalRect().left);
  }
  // 20 pixels too long: shares truncated, the last tab takes the rest.
  EXPECT_EQ(widths, (std::vector<int>{9, 17, 25, 34, 15}));
  EXPECT_EQ(lefts, (std::vector<int>{0, 9, 26, 51, 85}));
  EXPECT_EQ(viewInfo->NavigatorButtonCount(), 0);
}

TEST(cxPCViewInfoLayout, AScrollingRowShowsArrowsAndEndsFilledFromTheStart)
{
  TPCLayout layout(100, {30, 30, 30, 30, 30});
  TcxCustomTabControlViewInfo* viewInfo = layout.ViewInfo;
  ASSERT_EQ(viewInfo->NavigatorButtonCount(), 2);
  EXPECT_EQ(viewInfo->GetTabsPosition().NormalRowWidth, 60);
  EXPECT_EQ(viewInfo->GetNavigatorButtonInfo(0).State, TcxPCNavigatorButtonState::nbsDisabled);
  EXPECT_EQ(viewInfo->GetNavigatorButtonInfo(1).State, TcxPCNavigatorButtonState::nbsNormal);

  int steps = 0;
  while (viewInfo->ScrollByNavigatorButton(TcxPCNavigatorButton::nbBottomRight) && steps++ < 10)
    viewInfo->Calculate();
  EXPECT_EQ(viewInfo->GetFirstTabVisibleIndex(), 3);
  EXPECT_EQ(viewInfo->GetLastTabVisibleIndex(), 4);
  EXPECT_TRUE(viewInfo->GetIsLastTabFullyVisible());
  EXPECT_EQ(viewInfo->GetNavigatorButtonInfo(1).State, TcxPCNavigatorButtonState::nbsDisabled);
  EXPECT_EQ(viewInfo->GetTabViewInfo(3)->GetNormalRect().left, 0);
  const TRect hidden = viewInfo->GetTabViewInfo(0)->GetVisibleRect();
  EXPECT_TRUE(IsRectEmpty(&hidden));
}

TEST(cxPCViewInfoLayout, SelectingACutTabScrollsItIntoView)
{
  TPCLayout layout(100, {30, 30, 30, 30, 30});
  layout.Control->GetProperties()->SetTabIndex(4);
  layout.ViewInfo->Calculate();
  EXPECT_EQ(layout.ViewInfo->GetMainTabVisibleIndex(), 4);
  EXPECT_EQ(layout.ViewInfo->GetFirstTabVisibleIndex(), 3);
}

TEST(cxPCViewInfoLayout, OptimalSizeIsTheWidthTheTabsNeed)
{
  TPCLayout layout(100, {35, 35});
  EXPECT_EQ(layout.ViewInfo->GetOptimalSize(), 70);
  TPCLayout none(100, {});
  EXPECT_EQ(none.ViewInfo->GetOptimalSize(), 0);
}

TEST(cxPCViewInfoLayout, HiddenOrNoTabsAreNotVisible)
{
  TPCLayout none(100, {});
  EXPECT_FALSE(none.ViewInfo->IsTabsVisible());
  TPCLayout hidden(100, {20});
  hidden.Control->GetProperties()->SetHideTabs(true);
  hidden.ViewInfo->Calculate();
  EXPECT_FALSE(hidden.ViewInfo->IsTabsVisible());
}

TEST(cxPCViewInfoLayout, HidingATabDropsItsViewInfoAtTheNextLayout)
{
  TPCLayout layout(300, {30, 30, 30});
  layout.Control->GetProperties()->GetTabs()->GetTab(1)->SetVisible(false);
  layout.ViewInfo->Calculate();
  ASSERT_EQ(layout.ViewInfo->TabsViewInfoCount(), 2);
  EXPECT_EQ(layout.ViewInfo->GetTabViewInfo(1)->GetCaption(), L"Tab2");
  EXPECT_EQ(layout.Lefts(), (std::vector<int>{0, 30}));
}

}  // namespace

namespace {

// Offsets of 7 before the text and 2 after it, so that a caption shows which
// end of its tab the text starts at.
class TPCViewInfoOffsetsPainter : public TPCMetricsPainter {
  RTL_CLASS(TPCViewInfoOffsetsPainter, TPCMetricsPainter)

 public:
  bool IsTabRotationSupported() override { return false; }
  TPoint GetTabContentOffsets(int) override { return TPoint{7, 2}; }
  TPoint GetTooLongTextContentOffsets(int) override { return TPoint{7, 2}; }
};

}  // namespace

TEST(cxPCViewInfoParts, TheFirstContentOffsetLiesAtTheTextStart)
{
  // Captions at the sides read upwards, starting at the bottom, unless they
  // run top to bottom; a caption must not start under the end the style
  // cuts away.
  struct {
    const char* Name;
    TcxTabPosition Position;
    bool TopToBottom;
    int FromTop, FromBottom;  // the text rectangle's distance from the tab's ends
  } const cases[] = {
      {"left, upwards", TcxTabPosition::tpLeft, false, 2, 7},
      {"right, upwards", TcxTabPosition::tpRight, false, 2, 7},
      {"left, top to bottom", TcxTabPosition::tpLeft, true, 7, 2},
  };
  for (const auto& c : cases) {
    pctest::TPCControlPtr control = NewControl(200, 200);
    TPCViewInfoOffsetsPainter* painter = control->SetPainter<TPCViewInfoOffsetsPainter>();
    painter->Widths = {60};
    TcxCustomTabControlProperties* properties = control->GetProperties();
    properties->SetTabPosition(c.Position);
    if (c.TopToBottom)
      properties->SetOptions(properties->GetOptions() + TcxPCOptions{TcxPCOption::pcoTopToBottomText});
    // Left-justified: the caption lies at its start.
    properties->SetTabCaptionAlignment(rtl::TAlignment::taLeftJustify);
    properties->GetTabs()->Add(L"Caption");
    control->GetViewInfo()->Calculate();
    TcxTabViewInfo* tab = control->GetViewInfo()->GetTabViewInfo(0);
    const TRect full = tab->GetFullRect();
    const TRect content = tab->GetContentRect();
    EXPECT_EQ(content.top - full.top, c.FromTop) << c.Name;
    EXPECT_EQ(full.bottom - content.bottom, c.FromBottom) << c.Name;
    const TRect text = tab->GetTextRect();
    if (c.TopToBottom)
      EXPECT_EQ(text.top, content.top) << c.Name;
    else
      EXPECT_EQ(text.bottom, content.bottom) << c.Name;
  }
}
