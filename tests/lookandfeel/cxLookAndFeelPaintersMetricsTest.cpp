// The base painter's fixed metrics at 96 dots per inch and at 3:2, and the
// factor that each unscaled twin hands to its scaled operation.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "tests/lookandfeel/LookAndFeelTestSupport.h"

using enum TcxAlignmentVert;
using enum TcxArrowDirection;
using enum TcxButtonState;
using enum TcxLookAndFeelStyle;
using enum TdxAlertWindowButtonKind;

using namespace vcl;
using lnftest::NewPainter;
using lnftest::TTestPainter;

namespace {

using TMetricValues = std::vector<long>;
using TMetricGetter = std::function<TMetricValues(TcxCustomLookAndFeelPainter*, const TdxScaleFactor*)>;

TMetricValues Values(int V)
{
  return {V};
}

TMetricValues Values(const TSize& V)
{
  return {V.cx, V.cy};
}

TMetricValues Values(const TPoint& V)
{
  return {V.x, V.y};
}

TMetricValues Values(const TRect& V)
{
  return {V.left, V.top, V.right, V.bottom};
}

struct TMetricCase {
  std::string Name;
  TMetricGetter Get;
  TMetricValues At96;
  // At 144 dots per inch: halves round away from zero, as MulDiv does.
  TMetricValues At144;
};

#define KV_METRIC(Call) \
  #Call, [](TcxCustomLookAndFeelPainter* P, const TdxScaleFactor* F) { return Values(P->Call); }

const TMetricCase kMetricCases[] = {
    {KV_METRIC(GetScaledDropDownButtonRightPartSize(F)), {15}, {23}},
    {KV_METRIC(ScaledGroupExpandButtonSize(F)), {15}, {23}},
    {KV_METRIC(ScaledSmallExpandButtonSize(F)), {9}, {14}},
    {KV_METRIC(GetScaledCommandLinkGlyphSize(F)), {20, 20}, {30, 30}},
    {KV_METRIC(GetScaledCommandLinkMargins(F)), {7, 10, 7, 10}, {11, 15, 11, 15}},
    {KV_METRIC(ScaledSmallCloseButtonSize(F)), {14, 15}, {21, 23}},
    {KV_METRIC(GetScaledZoomInButtonSize(F)), {15, 15}, {23, 23}},
    {KV_METRIC(GetScaledZoomOutButtonSize(F)), {15, 15}, {23, 23}},
    {KV_METRIC(ScaledButtonFocusRect(nullptr, TRect({0, 0, 40, 30}), F)), {4, 4, 36, 26}, {6, 6, 34, 24}},
    {KV_METRIC(HeaderContentOffsets(F)), {2, 2, 2, 2}, {3, 3, 3, 3}},
    {KV_METRIC(ScaledHeaderHeight(13, F)), {17}, {19}},
    {KV_METRIC(ScaledFilterActivateButtonSize(F)), {13, 13}, {20, 20}},
    {KV_METRIC(ScaledFilterCloseButtonSize(F)), {16, 14}, {24, 21}},
    {KV_METRIC(ScaledFilterDropDownButtonSize(F)), {15, 0}, {23, 0}},
    {KV_METRIC(ScaledFilterSmartTagSize(F)), {10, 10}, {15, 15}},
    {KV_METRIC(ScaledScrollBarMinimalThumbSize(true, F)), {8}, {12}},
    {KV_METRIC(GetScaledSplitterSize(true, F)), {17, 2}, {26, 3}},
    {KV_METRIC(GetScaledSplitterSize(false, F)), {2, 17}, {3, 26}},
    {KV_METRIC(NavigatorScaledButtonGlyphSize(F)), {11, 11}, {17, 17}},
    {KV_METRIC(NavigatorScaledButtonGlyphPadding(F)), {3, 4, 3, 4}, {5, 6, 5, 6}},
    {KV_METRIC(NavigatorScaledButtonMinSize(F)), {17, 19}, {26, 29}},
    {KV_METRIC(ScaledClockSize(F)), {130, 130}, {195, 195}},
    {KV_METRIC(BreadcrumbEditScaledButtonContentOffsets(true, false, F)), {3, 3, 3, 3}, {5, 5, 5, 5}},
    {KV_METRIC(BreadcrumbEditScaledNodeDelimiterSize(F)), {16}, {24}},
    {KV_METRIC(BreadcrumbEditScaledNodeTextOffsets(F)), {4, 4, 4, 4}, {6, 6, 6, 6}},
    {KV_METRIC(BreadcrumbEditScaledButtonAreaSeparatorSize(F)), {2}, {2}},
    {KV_METRIC(DropDownListBoxScaledItemImageOffsets(F)), {5, 3, 5, 3}, {8, 5, 8, 5}},
    {KV_METRIC(DropDownListBoxScaledItemTextOffsets(F)), {5, 2, 5, 2}, {8, 3, 8, 3}},
    {KV_METRIC(DropDownListBoxScaledSeparatorSize(F)), {8}, {12}},
    {KV_METRIC(AlertWindowScaledButtonContentOffsets(awbkPin, F)), {3, 3, 3, 3}, {5, 5, 5, 5}},
    {KV_METRIC(AlertWindowScaledButtonGlyphSize(awbkClose, F)), {10, 10}, {15, 15}},
    {KV_METRIC(AlertWindowScaledButtonGlyphSize(awbkCustom, F)), {0, 0}, {0, 0}},
    {KV_METRIC(AlertWindowScaledContentOffsets(F)), {4, 4, 4, 4}, {6, 6, 6, 6}},
    {KV_METRIC(GetScaledTokenCloseGlyphSize(F)), {12, 11}, {18, 17}},
    {KV_METRIC(GetScaledTokenContentOffsets(F)), {3, 3, 3, 3}, {5, 5, 5, 5}},
    {KV_METRIC(GetScaledTokenDefaultGlyphSize(F)), {12, 12}, {18, 18}},
    {KV_METRIC(MapControlMapCustomElementSelectionOffset(F)), {14, 14, 14, 14}, {21, 21, 21, 21}},
    {KV_METRIC(OfficeNavigationBarScaledButtonItemContentOffsets(F)), {4, 4, 4, 4}, {6, 6, 6, 6}},
    {KV_METRIC(PDFViewerNavigationPaneButtonSize(F)), {42, 42}, {63, 63}},
    {KV_METRIC(SpreadSheetFormulaBarGetScaledSeparatorSize(F)), {2}, {3}},
    {KV_METRIC(PrintPreviewPageBordersScaledWidth(F)), {2, 2, 4, 4}, {2, 2, 4, 4}},
    {KV_METRIC(GetGalleryScaledGroupHeaderContentOffsets(F)), {7, 2, 7, 2}, {11, 3, 11, 3}},
    {KV_METRIC(GetRangeControlScaledScrollAreaHeight(F)), {11}, {17}},
    {KV_METRIC(GetRangeControlScaledSizingGlyphSize(F)), {5, 9}, {8, 14}},
    {KV_METRIC(GetRangeControlScaledThumbSize(F)), {11, 19}, {17, 29}},
};

#undef KV_METRIC

rtl::TOwnedPtr<TdxScaleFactor> NewScaleFactor(int ANumerator, int ADenominator)
{
  rtl::TOwnedPtr<TdxScaleFactor> result(rtl::New<TdxScaleFactor>());
  result->Assign(ANumerator, ADenominator, false);
  return result;
}

TEST(TcxCustomLookAndFeelPainter, FixedMetricsScaleWithTheFactor)
{
  const rtl::TOwnedPtr<TTestPainter> painter(NewPainter(L"", lfsStandard));
  const auto oneToOne = NewScaleFactor(1, 1);
  const auto threeHalves = NewScaleFactor(3, 2);
  for (const TMetricCase& c : kMetricCases) {
    EXPECT_EQ(c.Get(painter.get(), oneToOne.get()), c.At96) << c.Name;
    EXPECT_EQ(c.Get(painter.get(), threeHalves.get()), c.At144) << c.Name;
  }
}

TEST(TcxCustomLookAndFeelPainter, ArrowPointsSquareTheRectangleAndCentreTheTriangle)
{
  const rtl::TOwnedPtr<TTestPainter> painter(NewPainter(L"", lfsStandard));
  struct TArrowCase {
    TRect R;
    TcxArrowDirection Direction;
    bool Proportional;
    int Size;
    TcxArrowPoints Expected;
  };
  const TArrowCase cases[] = {
      // 20 x 12 squares to 12 x 12; the top row lies at 4.5, rounded away
      // from zero.
      {{0, 0, 20, 12}, adUp, true, 0, {TPoint{7, 7}, TPoint{9, 5}, TPoint{11, 7}}},
      // An explicit size wins over the rectangle.
      {{0, 0, 20, 12}, adDown, false, 2, {TPoint{10, 5}, TPoint{9, 6}, TPoint{8, 5}}},
      {{0, 0, 10, 20}, adLeft, true, 0, {TPoint{5, 12}, TPoint{3, 10}, TPoint{5, 8}}},
      {{0, 0, 9, 9}, adRight, false, 0, {TPoint{3, 2}, TPoint{5, 4}, TPoint{3, 6}}},
  };
  for (const TArrowCase& c : cases) {
    TcxArrowPoints points{};
    painter->CalculateArrowPoints(c.R, points, c.Direction, c.Proportional, c.Size);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(points[i].x, c.Expected[i].x) << static_cast<int>(c.Direction) << " point " << i;
      EXPECT_EQ(points[i].y, c.Expected[i].y) << static_cast<int>(c.Direction) << " point " << i;
    }
  }
}

// Overrides a few scaled operations and remembers the factor each got.
class TFactorRecordingPainter : public TTestPainter {
  RTL_CLASS(TFactorRecordingPainter, TTestPainter)

 public:
  std::vector<const TdxScaleFactor*> Factors;

  void DrawScaledArrow(TcxCanvas*, const TRect&, TcxButtonState, TcxArrowDirection, const TdxScaleFactor* AScaleFactor,
                       bool) override
  {
    Factors.push_back(AScaleFactor);
  }
  void DrawScaledHeader(TcxCanvas*, const TRect&, const TRect&, TcxNeighbors, TcxBorders, TcxButtonState,
                        rtl::TAlignment, TcxAlignmentVert, bool, bool, const rtl::String&, TFont*, TColor, TColor,
                        const TdxScaleFactor* AScaleFactor, TcxDrawBackgroundEvent, bool, bool) override
  {
    Factors.push_back(AScaleFactor);
  }
  int ScaledHeaderHeight(int, const TdxScaleFactor* AScaleFactor) override
  {
    Factors.push_back(AScaleFactor);
    return 0;
  }
  void DrawScaledIndicatorCustomizationMark(TcxCanvas*, const TRect&, TColor,
                                            const TdxScaleFactor* AScaleFactor) override
  {
    Factors.push_back(AScaleFactor);
  }
  void DrawScaledModernClockHands(TcxCanvas*, const TRect&, rtl::TDateTime, TColor,
                                  const TdxScaleFactor* AScaleFactor) override
  {
    Factors.push_back(AScaleFactor);
  }
  TSize GetScaledTokenDefaultGlyphSize(const TdxScaleFactor* AScaleFactor) override
  {
    Factors.push_back(AScaleFactor);
    return TSize{0, 0};
  }
  TRect GetGalleryScaledGroupHeaderContentOffsets(const TdxScaleFactor* AScaleFactor) override
  {
    Factors.push_back(AScaleFactor);
    return cxNullRect;
  }
  void DrawScaledCheckButton(TcxCanvas*, const TRect&, TcxButtonState, TcxCheckBoxState,
                             const TdxScaleFactor* AScaleFactor) override
  {
    Factors.push_back(AScaleFactor);
  }
};

TEST(TcxCustomLookAndFeelPainter, UnscaledTwinsPassTheSystemFactorOrTheOneToOneFactor)
{
  const rtl::TOwnedPtr<TFactorRecordingPainter> painter(rtl::New<TFactorRecordingPainter>());
  const TdxScaleFactor* system = dxGetSystemScaleFactor();
  const TdxScaleFactor* oneToOne = dxGetDefaultScaleFactor();
  ASSERT_NE(system, oneToOne);
  const TRect r{0, 0, 10, 10};
  struct TTwinCase {
    const char* Name;
    std::function<void(TFactorRecordingPainter*)> Call;
    const TdxScaleFactor* Expected;
  };
  const TTwinCase cases[] = {
      {"DrawArrow", [&](TFactorRecordingPainter* P) { P->DrawArrow(nullptr, r, cxbsNormal, adUp, true); }, system},
      {"GetTokenDefaultGlyphSize", [](TFactorRecordingPainter* P) { P->GetTokenDefaultGlyphSize(); }, system},
      // The Boolean overload reaches the check-state one at the same factor.
      {"DrawCheckButton", [&](TFactorRecordingPainter* P) { P->DrawCheckButton(nullptr, r, cxbsNormal, true); },
       system},
      {"DrawHeader",
       [&](TFactorRecordingPainter* P) {
         P->DrawHeader(nullptr, r, r, {}, {}, cxbsNormal, rtl::TAlignment::taLeftJustify, vaTop, false, false, L"", nullptr,
                       clDefault, clDefault);
       },
       oneToOne},
      {"DrawHeaderEx",
       [&](TFactorRecordingPainter* P) {
         P->DrawHeaderEx(nullptr, r, r, {}, {}, cxbsNormal, rtl::TAlignment::taLeftJustify, vaTop, false, false, L"", nullptr,
                         clDefault, clDefault);
       },
       oneToOne},
      {"HeaderHeight", [](TFactorRecordingPainter* P) { P->HeaderHeight(13); }, oneToOne},
      {"GetGalleryGroupHeaderContentOffsets",
       [](TFactorRecordingPainter* P) { P->GetGalleryGroupHeaderContentOffsets(); }, oneToOne},
      {"DrawIndicatorCustomizationMark",
       [&](TFactorRecordingPainter* P) { P->DrawIndicatorCustomizationMark(nullptr, r, clBlack); }, oneToOne},
      {"DrawModernClockHands", [&](TFactorRecordingPainter* P) { P->DrawModernClockHands(nullptr, r, 0.5, clBlack); },
       oneToOne},
  };
  for (const TTwinCase& c : cases) {
    painter->Factors.clear();
    c.Call(painter.get());
    EXPECT_EQ(painter->Factors, std::vector<const TdxScaleFactor*>{c.Expected}) << c.Name;
  }
}

}  // namespace
