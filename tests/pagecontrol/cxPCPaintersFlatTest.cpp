#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "graphics/cxGraphicsColors.h"
#include "graphics/dxOffice11.h"
#include "pagecontrol/cxPC.h"
#include "pagecontrol/cxPCPainters.h"
#include "tests/pagecontrol/PageControlTestSupport.h"

namespace {

using pctest::Rgb;
using pctest::TPCPainted;

const TcxPCPainterClass kPCExtraFlat = TcxPCPainterClass::Of<TcxPCExtraFlatPainter>();
const TcxPCPainterClass kPCUltraFlat = TcxPCPainterClass::Of<TcxPCUltraFlatPainter>();
const TcxPCPainterClass kPCOffice11 = TcxPCPainterClass::Of<TcxPCOffice11Painter>();
const TcxPCPainterClass kPCFlat = TcxPCPainterClass::Of<TcxPCFlatPainter>();

TEST(cxPCFlatPainters, RenderEveryTabPosition)
{
  const struct {
    const wchar_t* Name;
    TcxPCPainterClass Class;
  } painters[] = {{L"ExtraFlat", kPCExtraFlat}, {L"UltraFlat", kPCUltraFlat}, {L"Office11", kPCOffice11},
                  {L"Flat", kPCFlat}};
  for (const auto& painter : painters)
    for (TcxTabPosition position : {TcxTabPosition::tpTop, TcxTabPosition::tpBottom, TcxTabPosition::tpLeft,
                                    TcxTabPosition::tpRight}) {
      TPCPainted painted(painter.Class, position);
      painted.Save(std::wstring(painter.Name) + L"Painter" + rtl::GetEnumName(position) + L".png");
      for (int y = 0; y < 120; y += 3)
        for (int x = 0; x < 300; x += 3)
          ASSERT_NE(painted.Pixel(x, y), Rgb(vcl::clFuchsia))
              << painted.Painter()->GetStyleName() << " " << rtl::GetEnumName(position) << " " << x << "," << y;
    }
}

TEST(cxPCFlatPainters, HeaderButtonSizes)
{
  TPCPainted extraFlat(kPCExtraFlat), ultraFlat(kPCUltraFlat), flat(kPCFlat);
  struct {
    const char* Name;
    TcxPCCustomPainter* Painter;
    int Height;
    int Widths[4];  // top-left, bottom-right, go dialog, close
  } const cases[] = {
      {"ExtraFlat", extraFlat.Painter(), 13, {13, 13, 13, 13}},
      {"UltraFlat", ultraFlat.Painter(), 15, {15, 15, 11, 14}},
      {"Flat", flat.Painter(), 18, {18, 18, 10, 18}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.Painter->GetHeaderButtonHeightBase(), c.Height) << c.Name;
    for (int kind = 0; kind < 4; ++kind)
      EXPECT_EQ(c.Painter->GetHeaderButtonWidthBase(static_cast<TcxPCNavigatorButton>(kind)), c.Widths[kind])
          << c.Name << " " << kind;
  }
}

// The outline of the selected tab: pixels inside its full rectangle, from
// its left-top and right-bottom corners.
TEST(cxPCFlatPainters, TheSelectedTabIsOutlined)
{
  const vcl::TColor frame = (dxOffice11ComputeColors(), dxOffice11SelectedBorderColor);
  struct {
    const char* Name;
    TcxPCPainterClass Class;
    TcxTabPosition Position;
    // Offsets from (L, T) and from (R - 1, B - 1).
    int X, Y;
    bool FromEnd;
    vcl::TColor Color;
  } const cases[] = {
      {"ExtraFlat top: left light", kPCExtraFlat, TcxTabPosition::tpTop, 0, 5, false, vcl::clWhite},
      {"ExtraFlat top: top light", kPCExtraFlat, TcxTabPosition::tpTop, 5, 0, false, vcl::clWhite},
      {"ExtraFlat top: right dark", kPCExtraFlat, TcxTabPosition::tpTop, 0, -5, true, vcl::clBlack},
      {"ExtraFlat top: inside", kPCExtraFlat, TcxTabPosition::tpTop, 3, 3, false, vcl::clBtnFace},
      {"ExtraFlat bottom: left light", kPCExtraFlat, TcxTabPosition::tpBottom, 0, 5, false, vcl::clWhite},
      {"ExtraFlat bottom: corner dark", kPCExtraFlat, TcxTabPosition::tpBottom, 0, 0, false, vcl::clBlack},
      {"ExtraFlat bottom: bottom dark", kPCExtraFlat, TcxTabPosition::tpBottom, -5, 0, true, vcl::clBlack},
      {"ExtraFlat left: top light", kPCExtraFlat, TcxTabPosition::tpLeft, 5, 0, false, vcl::clWhite},
      {"ExtraFlat left: bottom dark", kPCExtraFlat, TcxTabPosition::tpLeft, -5, 0, true, vcl::clBlack},
      {"ExtraFlat right: right dark", kPCExtraFlat, TcxTabPosition::tpRight, 0, -5, true, vcl::clBlack},
      {"UltraFlat top: left dark too", kPCUltraFlat, TcxTabPosition::tpTop, 0, 5, false, vcl::clBlack},
      {"UltraFlat top: top dark too", kPCUltraFlat, TcxTabPosition::tpTop, 5, 0, false, vcl::clBlack},
      {"Office11 top: frame colour", kPCOffice11, TcxTabPosition::tpTop, 0, 5, false, frame},
      {"Office11 top: right frame colour", kPCOffice11, TcxTabPosition::tpTop, 0, -5, true, frame},
  };
  for (const auto& c : cases) {
    TPCPainted painted(c.Class, c.Position);
    const TRect R = painted.Tab(0)->GetFullRect();
    const int x = c.FromEnd ? R.right - 1 + c.X : R.left + c.X;
    const int y = c.FromEnd ? R.bottom - 1 + c.Y : R.top + c.Y;
    EXPECT_EQ(painted.Pixel(x, y), Rgb(c.Color)) << c.Name;
  }
}

TEST(cxPCFlatPainters, TheExtraFlatBandAndFrame)
{
  auto framed = [](TcxCustomTabControlProperties* AProperties) { AProperties->SetShowFrame(true); };
  TPCPainted painted(kPCExtraFlat, TcxTabPosition::tpTop, false, framed);
  auto* painter = static_cast<TcxPCExtraFlatPainter*>(painted.Painter());
  const TRect other = painted.Tab(1)->GetFullRect();
  const TRect page = painter->GetPageFrameRect();
  const TRect edge = painter->GetPageEdgeRect();
  EXPECT_EQ(edge.bottom, painter->GetPageClientRect().top);
  EXPECT_EQ(edge.bottom - edge.top, 2);
  struct {
    const char* Name;
    int X, Y;
    vcl::TColor Color;
  } const cases[] = {
      {"other tab on the light band", other.left + 3, other.top + 3, cxPCLightBrushColor()},
      {"band above the tabs", 150, 1, cxPCLightBrushColor()},
      {"separator after the second tab", other.right, other.top + 5, vcl::clBtnShadow},
      {"band line next to the tabs", other.left + 5, other.bottom, vcl::clWhite},
      {"page edge", other.left + 5, edge.top, vcl::clBtnFace},
      // The side toward the tabs stays open; the others are framed.
      {"frame left", page.left, 80, vcl::clBtnHighlight},
      {"frame bottom", 150, page.bottom - 1, vcl::clBtnShadow},
      {"frame right", page.right - 1, 80, vcl::clBtnShadow},
  };
  for (const auto& c : cases)
    EXPECT_EQ(painted.Pixel(c.X, c.Y), Rgb(c.Color)) << c.Name;

  TPCPainted hidden(kPCExtraFlat, TcxTabPosition::tpTop, false,
                    [](TcxCustomTabControlProperties* AProperties) {
                      AProperties->SetShowFrame(true);
                      AProperties->SetHideTabs(true);
                    });
  const TRect closed = hidden.Painter()->GetPageFrameRect();
  EXPECT_EQ(hidden.Pixel(150, closed.top), Rgb(vcl::clBtnHighlight)) << "without tabs the frame is closed";
}

TEST(cxPCFlatPainters, Office11Faces)
{
  dxOffice11ComputeColors();
  const vcl::TColor blend = cxBlendColors(dxOffice11BarColor1, dxOffice11BarColor2, 50);
  TPCPainted gradient(kPCOffice11);
  TPCPainted flat(kPCOffice11, TcxTabPosition::tpTop, false, [](TcxCustomTabControlProperties* AProperties) {
    AProperties->SetOptions(AProperties->GetOptions() - TcxPCOptions{TcxPCOption::pcoGradient});
  });
  TPCPainted coloured(kPCOffice11, TcxTabPosition::tpTop, false, [](TcxCustomTabControlProperties* AProperties) {
    AProperties->GetTabs()->GetTab(1)->SetColor(vcl::clRed);
  });
  const TRect other = flat.Tab(2)->GetFullRect();
  const TRect tinted = coloured.Tab(1)->GetFullRect();
  struct {
    const char* Name;
    TPCPainted& Painted;
    int X, Y;
    vcl::TColor Color;
  } const cases[] = {
      {"without gradients: flat blend at the top", flat, other.left + 5, other.top + 2, blend},
      {"without gradients: flat blend at the bottom", flat, other.left + 5, other.bottom - 3, blend},
      {"own colour", coloured, tinted.left + 5, tinted.top + 5, vcl::clRed},
      {"own colour: edge line toward the page", coloured, tinted.left + 5, tinted.bottom - 1, dxOffice11BarColor2},
      // The two offset fills of a separator leave its corners to the row.
      {"separator corner", gradient, gradient.Tab(1)->GetFullRect().right, gradient.Tab(1)->GetFullRect().bottom - 3,
       cxPCLightBrushColor()},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.Painted.Pixel(c.X, c.Y), Rgb(c.Color)) << c.Name;
  const TRect shaded = gradient.Tab(2)->GetFullRect();
  EXPECT_NE(gradient.Pixel(shaded.left + 5, shaded.top + 2), gradient.Pixel(shaded.left + 5, shaded.bottom - 3))
      << "with gradients the face shades";
}

// The Flat outline of a tab that is not the selected one, on top (the
// third: the selected first tab overlaps the second).
TEST(cxPCFlatPainters, TheFlatOutline)
{
  TPCPainted painted(kPCFlat);
  const TRect R = painted.Tab(2)->GetFullRect();
  const int L = R.left, T = R.top, Rt = R.right, B = R.bottom;
  TdxHSV hsv = cxColorToHSV(vcl::clBtnFace);
  hsv.V = std::min(hsv.V * 1.85, 1.0);
  const vcl::TColor light = cxHSVToColor(hsv);
  struct {
    const char* Name;
    int X, Y;
    vcl::TColor Color;
  } const cases[] = {
      {"left highlight", L, T + 5, vcl::clBtnHighlight},
      {"top highlight", L + 5, T, vcl::clBtnHighlight},
      {"right shadow", Rt - 1, T + 5, vcl::clBtnShadow},
      {"inner left light", L + 1, T + 5, light},
      {"inner right light", Rt - 2, T + 5, light},
      {"clipped corner", L, T, vcl::clBtnFace},
      {"page frame under the tab", L + 5, B, vcl::clBtnHighlight},
  };
  for (const auto& c : cases)
    EXPECT_EQ(painted.Pixel(c.X, c.Y), Rgb(c.Color)) << c.Name;
}

// Office11 with rows on both sides of the page (multi-line, the rows after
// the selected one opposite): every tab is filled with the tab gradient or,
// selected, the selected one, and the page is closed toward both sides.
TEST(cxPCFlatPainters, Office11TabsOnBothSides)
{
  dxOffice11ComputeColors();
  TPCPainted painted(kPCOffice11, TcxTabPosition::tpTop, false, [](TcxCustomTabControlProperties* AProperties) {
    for (const wchar_t* caption : {L"Generate", L"Save", L"Copy", L"Options", L"About"})
      AProperties->GetTabs()->Add(caption);
    AProperties->SetMultiLine(true);
    AProperties->SetScrollOpposite(true);
    AProperties->SetTabIndex(1);
  });
  painted.Save(L"Office11PainterBothSides.png");
  TcxCustomTabControlViewInfo* viewInfo = painted.Control->GetViewInfo();
  ASSERT_TRUE(viewInfo->IsTabsOnBothSides());
  const TRect page = painted.Painter()->GetPageClientRect();
  struct {
    const char* Name;
    bool Top;
  } const sides[] = {{"rows above the page", true}, {"rows below the page", false}};
  for (const auto& side : sides) {
    SCOPED_TRACE(side.Name);
    int tabs = 0;
    for (int i = 0; i < viewInfo->TabsViewInfoCount(); ++i) {
      TcxTabViewInfo* tab = painted.Tab(i);
      const TRect R = tab->GetVisibleRect();
      if (IsRectEmpty(&R) || (R.bottom <= page.top) != side.Top)
        continue;
      ++tabs;
      // Half-way across the tab, a third along it: inside the gradient.
      const vcl::TColor pixel = painted.Pixel(R.left + (R.right - R.left) / 3, (R.top + R.bottom) / 2);
      const bool selected = tab->IsMainTab();
      const vcl::TColor first = selected ? dxOffice11SelectedColor1 : dxOffice11BarColor1;
      const vcl::TColor second = selected ? dxOffice11SelectedColor2 : dxOffice11BarColor2;
      // Between the two gradient colours, channel by channel.
      for (int shift : {0, 8, 16}) {
        const int a = (Rgb(first) >> shift) & 0xFF, b = (Rgb(second) >> shift) & 0xFF, p = (pixel >> shift) & 0xFF;
        EXPECT_GE(p, std::min(a, b) - 1) << i;
        EXPECT_LE(p, std::max(a, b) + 1) << i;
      }
    }
    EXPECT_GT(tabs, 0);
    // Beside the page: toward the selected tab's row the page-edge band in
    // the selected gradient's colour on that side; toward the far rows a
    // line in the frame colour.
    const int y = side.Top ? page.top - 1 : page.bottom;
    EXPECT_EQ(painted.Pixel((page.left + page.right) / 2, y),
              Rgb(side.Top ? dxOffice11SelectedColor2 : painted.Painter()->GetControlColor()));
  }
}

}  // namespace
