// The native painter twice: with visual styles switched off it must draw
// and measure as the standard painter, pixel for pixel; with Wine's own
// theme it draws through the theme, which here is checked for sizes and
// structure only (the pixels are Wine's).
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/dxCore.h"
#include "core/dxDPIAwareUtils.h"
#include "core/dxThemeManager.h"
#include "core/dxUxTheme.h"
#include "graphics/cxGraphics.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "tests/lookandfeel/LookAndFeelTestSupport.h"
#include "tests/platform/vcl/GraphicsTestSupport.h"

using enum TcxAlignmentVert;
using enum TcxArrowDirection;
using enum TcxBorder;
using enum TcxButtonState;
using enum TcxCheckBoxState;
using enum TcxLookAndFeelStyle;
using enum TcxNeighbor;
using enum TcxScrollBarPart;
using enum TcxTrackBarTicksAlign;
using enum TdxThemedObjectType;
using enum rtl::TAlignment;

using namespace vcl;
using vcltest::AsPixel;

namespace {

constexpr TColor kNativeBackground = 0x123456;

using TNativeDraw = std::function<void(TcxCustomLookAndFeelPainter*, TcxCanvas*)>;

struct TNativeDrawCase {
  const char* Name;
  TNativeDraw Draw;
};

std::vector<std::uint32_t> NativeTestPixels(TcxCustomLookAndFeelPainter* APainter, const TNativeDraw& ADraw,
                                            int ASize = 48)
{
  lnftest::TCanvasSurface surface(ASize, ASize, AsPixel(kNativeBackground));
  ADraw(APainter, surface.Get());
  std::vector<std::uint32_t> result;
  for (int y = 0; y < ASize; ++y)
    for (int x = 0; x < ASize; ++x)
      result.push_back(surface.Pixel(x, y));
  return result;
}

TcxCustomLookAndFeelPainter* NativePainter()
{
  return cxLookAndFeelPaintersManager()->GetPainter(lfsNative);
}

TcxCustomLookAndFeelPainter* StandardPainter()
{
  return cxLookAndFeelPaintersManager()->GetPainter(lfsStandard);
}

const TdxScaleFactor* NativeTestFactor()
{
  return dxGetSystemScaleFactor();
}

// Comparable forms of the answers.
template <class T>
T NativeTestKey(T AValue)
{
  return AValue;
}

std::pair<LONG, LONG> NativeTestKey(const TSize& AValue)
{
  return {AValue.cx, AValue.cy};
}

BOOL WINAPI NativeTestThemeInactive()
{
  return FALSE;
}

// The theme manager restarted with visual styles reported off, as Wine's
// default prefix and a classic Windows desktop have them.
class NativeStylesOff : public testing::Test {
 protected:
  static void SetUpTestSuite()
  {
    Saved = dxUxThemeFunctions;
    unit_dxThemeManager.finalization();
    dxUxThemeFunctions.IsThemeActive = &NativeTestThemeInactive;
    unit_dxThemeManager.initialization();
  }
  static void TearDownTestSuite()
  {
    unit_dxThemeManager.finalization();
    dxUxThemeFunctions = Saved;
    unit_dxThemeManager.initialization();
  }

  static inline TdxUxThemeFunctions Saved{};
};

// Wine's own theme, enabled in the test prefix.
class NativeThemed : public testing::Test {
 protected:
  void SetUp() override
  {
    ASSERT_TRUE(dxThemesAvailable({totButton})) << "the test prefix runs without a visual style";
  }
};

// ---------------------------------------------------------------------------
// Registration

TEST(NativeRegistration, IsRegisteredLastUnderItsNameAndStyle)
{
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  TcxCustomLookAndFeelPainter* native = manager->GetPainter(L"Native");
  ASSERT_NE(native, nullptr);
  EXPECT_TRUE(rtl::Is<TcxWinXPLookAndFeelPainter>(native));
  EXPECT_EQ(native->LookAndFeelStyle(), lfsNative);
  EXPECT_EQ(manager->GetPainter(lfsNative), native);
}

TEST_F(NativeThemed, ALookAndFeelWithNativeStyleFindsTheNativePainter)
{
  const rtl::TOwnedPtr<TcxLookAndFeel> lookAndFeel(rtl::New<TcxLookAndFeel>(nullptr));
  lookAndFeel->SetNativeStyle(true);
  EXPECT_EQ(lookAndFeel->GetPainter(), NativePainter());
}

// ---------------------------------------------------------------------------
// Visual styles off: the standard painter's answers

TEST_F(NativeStylesOff, DrawsEveryThemedElementAsTheStandardPainter)
{
  ASSERT_FALSE(dxThemesAvailable());
  const TdxScaleFactor* f = NativeTestFactor();
  const TRect r{4, 4, 40, 28};
  const std::vector<TNativeDrawCase> cases = {
      {"button", [&](auto* P, auto* C) { P->DrawScaledButton(C, r, L"Go", cxbsHot, f); }},
      {"tool button", [&](auto* P, auto* C) { P->DrawScaledButton(C, r, L"", cxbsPressed, f, true, clDefault,
                                                                    clDefault, false, true); }},
      {"small button", [&](auto* P, auto* C) { P->DrawScaledSmallButton(C, r, cxbsNormal, f); }},
      {"arrow", [&](auto* P, auto* C) { P->DrawScaledArrow(C, r, cxbsNormal, adDown, f); }},
      {"arrow border", [&](auto* P, auto* C) { P->DrawScaledArrowBorder(C, r, cxbsHot, f); }},
      {"border", [&](auto* P, auto* C) { P->DrawBorder(C, r); }},
      {"separator", [&](auto* P, auto* C) { P->DoDrawSeparator(C, r, true); }},
      {"check", [&](auto* P, auto* C) { P->DrawScaledCheck(C, TRect{4, 4, 17, 17}, cxbsNormal, cbsChecked, clDefault,
                                                           f); }},
      {"check border", [&](auto* P, auto* C) { P->DrawCheckBorder(C, r, cxbsHot); }},
      {"radio", [&](auto* P, auto* C) { P->DrawScaledRadioButton(C, 4, 4, cxbsNormal, true, false, clWindow, f); }},
      {"expand button", [&](auto* P, auto* C) { P->DrawScaledExpandButton(C, TRect{4, 4, 13, 13}, true, f); }},
      {"small expand button",
       [&](auto* P, auto* C) { P->DrawScaledSmallExpandButton(C, TRect{4, 4, 13, 13}, false, clBlack, f); }},
      {"header", [&](auto* P, auto* C) {
         P->DrawScaledHeader(C, r, cxRectInflateAll(r, -2), {}, cxBordersAll, cxbsNormal, taLeftJustify, vaCenter,
                             false, false, L"Name", C->GetFont(), clBtnText, clBtnFace, f);
       }},
      {"footer cell", [&](auto* P, auto* C) {
         P->DrawFooterCell(C, r, taLeftJustify, vaCenter, false, L"12", C->GetFont(), clBtnText, clBtnFace);
       }},
      {"footer border", [&](auto* P, auto* C) { P->DrawFooterBorder(C, r); }},
      {"filter drop-down", [&](auto* P, auto* C) { P->DrawScaledFilterDropDownButton(C, r, cxbsHot, false, f); }},
      {"filter close", [&](auto* P, auto* C) { P->DrawScaledFilterCloseButton(C, r, cxbsNormal, f); }},
      {"date header", [&](auto* P, auto* C) {
         TRect header = r;
         P->DrawDateNavigatorDateHeader(C, header);
         C->FillRect(header, clRed);
       }},
      {"tab", [&](auto* P, auto* C) { P->DrawTabsRoot(C, r, cxBordersAll, false); }},
      {"scroll bar thumb", [&](auto* P, auto* C) { P->DrawScaledScrollBarPart(C, false, r, sbpThumbnail, cxbsHot,
                                                                                f); }},
      {"scroll bar line", [&](auto* P, auto* C) { P->DrawScaledScrollBarPart(C, true, r, sbpLineUp, cxbsPressed,
                                                                               f); }},
      {"scroll bar page", [&](auto* P, auto* C) { P->DrawScaledScrollBarPart(C, true, r, sbpPageDown, cxbsNormal,
                                                                               f); }},
      {"size grip", [&](auto* P, auto* C) { P->DoDrawSizeGrip(C, r, f); }},
      {"group box", [&](auto* P, auto* C) { P->DrawGroupBoxFrame(C, r, true, TcxGroupBoxCaptionPosition::cxgpTop,
                                                                 cxBordersAll); }},
      {"bevel", [&](auto* P, auto* C) { P->DrawBevelFrame(C, r, clBtnShadow, clBtnHighlight, true); }},
      {"hint", [&](auto* P, auto* C) { P->DrawHintBackground(C, r); }},
      {"track", [&](auto* P, auto* C) { P->DrawTrackBarScaledTrack(C, r, r, false, true, true, clDefault, f); }},
      {"thumb", [&](auto* P, auto* C) { P->DrawTrackBarScaledThumb(C, TRect{4, 4, 15, 24}, cxbsHot, true, tbtaBoth,
                                                                   clDefault, f); }},
      {"popup border", [&](auto* P, auto* C) {
         TRect inner = r;
         P->DrawEditPopupWindowBorder(C, inner, TcxEditPopupBorderStyle::epbsDefault, true);
         C->FillRect(inner, clRed);
       }},
      {"drop-down list", [&](auto* P, auto* C) { P->DrawDropDownListBoxBackground(C, r, true); }},
      {"token", [&](auto* P, auto* C) { P->DrawScaledTokenBackground(C, r, cxbsHot, f); }},
      {"zoom in", [&](auto* P, auto* C) { P->DrawScaledZoomInButton(C, r, cxbsNormal, f); }},
      {"gallery item", [&](auto* P, auto* C) {
         P->DrawGalleryItemSelection(C, r, TdxGalleryItemViewState{true, true, true, false, false});
       }},
      {"calendar cell", [&](auto* P, auto* C) {
         P->DrawModernCalendarDateCellSelection(C, r, {TcxCalendarElementState::cesSelected,
                                                       TcxCalendarElementState::cesHot});
       }},
  };
  for (const TNativeDrawCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(NativeTestPixels(NativePainter(), c.Draw), NativeTestPixels(StandardPainter(), c.Draw));
  }
}

TEST_F(NativeStylesOff, MeasuresThemedElementsAsTheStandardPainterAndKeepsItsFixedMetrics)
{
  TcxCustomLookAndFeelPainter* native = NativePainter();
  TcxCustomLookAndFeelPainter* standard = StandardPainter();
  const TdxScaleFactor* f = NativeTestFactor();
  const auto same = [&](const char* AName, auto AMeasure) {
    SCOPED_TRACE(AName);
    EXPECT_EQ(NativeTestKey(AMeasure(native)), NativeTestKey(AMeasure(standard)));
  };
  same("border", [](auto* P) { return P->BorderSize(); });
  same("button border", [](auto* P) { return P->ButtonBorderSize(cxbsNormal); });
  same("header border", [](auto* P) { return P->HeaderBorderSize(); });
  same("footer border", [](auto* P) { return P->FooterBorderSize(); });
  same("footer cell border", [](auto* P) { return P->FooterCellBorderSize(); });
  same("tab border", [](auto* P) { return P->TabBorderSize(false); });
  same("check border", [](auto* P) { return P->CheckBorderSize(); });
  same("check size", [&](auto* P) { return P->ScaledCheckButtonSize(f); });
  same("radio size", [&](auto* P) { return P->ScaledRadioButtonSize(f); });
  same("size grip", [&](auto* P) { return P->ScaledSizeGripSize(f); });
  same("expand button", [&](auto* P) { return P->ScaledExpandButtonSize(f); });
  same("small close button", [](auto* P) { return P->DoGetSmallCloseButtonSize(); });
  same("minimal thumb", [&](auto* P) { return P->ScaledScrollBarMinimalThumbSize(true, f); });
  same("button colour", [](auto* P) { return P->ButtonColor(cxbsHot); });
  same("symbol colour", [](auto* P) { return P->ButtonSymbolColor(cxbsDisabled, clDefault); });
  same("group box text", [](auto* P) { return P->GroupBoxTextColor(true, TcxGroupBoxCaptionPosition::cxgpTop); });
  same("list item text", [](auto* P) { return P->DropDownListBoxItemTextColor(true); });

  EXPECT_EQ(native->SeparatorSize(), 6);
  EXPECT_EQ(native->ScaledButtonTextOffset(dxGetDefaultScaleFactor()), 2);
  EXPECT_EQ(native->ScaledButtonTextShift(dxGetDefaultScaleFactor()), 0);
  EXPECT_TRUE(native->IsButtonHotTrack());
  EXPECT_EQ(native->AlertWindowCornerRadius(), 5);
  EXPECT_TRUE(cxRectsEqual(native->BreadcrumbEditBordersSize(), TRect{1, 1, 1, 1}));
  EXPECT_EQ(native->ToggleSwitchToggleColor(true), static_cast<TColor>(0xA0A0A0));
  EXPECT_FALSE(native->NeedRedrawOnResize());
}

// ---------------------------------------------------------------------------
// Wine's theme: sizes and structure

// The bounding box of the pixels a drawing changed; empty when none.
TRect NativeTestDrawnBounds(const TNativeDraw& ADraw, int ASize = 64)
{
  const std::vector<std::uint32_t> pixels = NativeTestPixels(NativePainter(), ADraw, ASize);
  const std::uint32_t background = AsPixel(kNativeBackground);
  TRect result{ASize, ASize, 0, 0};
  for (int y = 0; y < ASize; ++y)
    for (int x = 0; x < ASize; ++x)
      if (pixels[y * ASize + x] != background) {
        result.left = std::min<LONG>(result.left, x);
        result.top = std::min<LONG>(result.top, y);
        result.right = std::max<LONG>(result.right, x + 1);
        result.bottom = std::max<LONG>(result.bottom, y + 1);
      }
  return result.left < result.right ? result : TRect{};
}

TEST_F(NativeThemed, ReadsItsSizesFromTheTheme)
{
  TcxCustomLookAndFeelPainter* native = NativePainter();
  HTHEME button = dxOpenTheme(totButton);
  SIZE check{};
  ASSERT_HRESULT_SUCCEEDED(dxUxGetThemePartSize(button, nullptr, 3, 5, TS_TRUE, &check));
  EXPECT_EQ(NativeTestKey(native->ScaledCheckButtonSize(dxGetSystemScaleFactor())), NativeTestKey(check));
  EXPECT_TRUE(native->NeedRedrawOnResize());
  EXPECT_EQ(native->CheckBorderSize(), 0);
  EXPECT_EQ(native->FooterBorderSize(), 1);
  EXPECT_GE(native->HeaderBorderSize(), 1);

  rtl::TOwnedPtr<TdxScaleFactor> twice(rtl::New<TdxScaleFactor>());
  twice->Assign(2, 1, false);
  rtl::TOwnedPtr<TdxScaleFactor> once(rtl::New<TdxScaleFactor>());
  for (const bool vertical : {false, true})
    EXPECT_EQ(native->ScaledScrollBarMinimalThumbSize(vertical, twice.get()),
              2 * native->ScaledScrollBarMinimalThumbSize(vertical, once.get()));
}

TEST_F(NativeThemed, DrawsThemedElementsInsideTheirRectangles)
{
  const TdxScaleFactor* f = NativeTestFactor();
  const TRect r{8, 8, 40, 30};
  const std::vector<TNativeDrawCase> cases = {
      {"button", [&](auto* P, auto* C) { P->DrawScaledButton(C, r, L"", cxbsNormal, f); }},
      {"header", [&](auto* P, auto* C) {
         P->DrawScaledHeader(C, r, r, {}, cxBordersAll, cxbsHot, taLeftJustify, vaCenter, false, false, L"",
                             C->GetFont(), clDefault, clDefault, f);
       }},
      {"scroll bar thumb", [&](auto* P, auto* C) { P->DrawScaledScrollBarPart(C, true, r, sbpThumbnail, cxbsHot,
                                                                                f); }},
      {"border", [&](auto* P, auto* C) { P->DrawBorder(C, r); }},
      {"horizontal tab", [&](auto* P, auto* C) { P->DrawTab(C, r, {}, L"", cxbsNormal, false, nullptr, clDefault,
                                                            clDefault); }},
      {"vertical tab", [&](auto* P, auto* C) { P->DrawTab(C, r, {}, L"", cxbsPressed, true, nullptr, clDefault,
                                                          clDefault); }},
      {"hot token", [&](auto* P, auto* C) { P->DrawScaledTokenBackground(C, r, cxbsHot, f); }},
  };
  for (const TNativeDrawCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TRect drawn = NativeTestDrawnBounds(c.Draw);
    EXPECT_FALSE(cxRectHasNoArea(drawn));
    EXPECT_TRUE(cxRectContainsRect(r, drawn)) << drawn.left << "," << drawn.top << "," << drawn.right << ","
                                              << drawn.bottom;
  }
}

TEST_F(NativeThemed, AnUnselectedVerticalTabLeavesItsInnerColumnToTheCanvas)
{
  // Drawn lying in a bitmap and turned: only what the theme drew may come
  // back, not the bitmap's unpainted column.
  const TRect r{8, 8, 30, 50};
  const TRect drawn = NativeTestDrawnBounds([&](auto* P, auto* C) {
    P->DrawTab(C, r, cxBordersAll, L"", cxbsNormal, true, nullptr, clDefault, clDefault);
  });
  EXPECT_FALSE(cxRectHasNoArea(drawn));
  EXPECT_LE(drawn.right, r.right - 1);
}

TEST_F(NativeThemed, ANormalTokenAndAnUncheckedIdleGalleryItemDrawNothing)
{
  const TRect r{8, 8, 40, 30};
  EXPECT_TRUE(cxRectHasNoArea(NativeTestDrawnBounds(
      [&](auto* P, auto* C) { P->DrawScaledTokenBackground(C, r, cxbsNormal, NativeTestFactor()); })));
  EXPECT_TRUE(cxRectHasNoArea(NativeTestDrawnBounds(
      [&](auto* P, auto* C) { P->DrawGalleryItemSelection(C, r, TdxGalleryItemViewState{true, false, false, false,
                                                                                         false}); })));
}

TEST_F(NativeThemed, AScaledThemeBackgroundFillsItsRectangleAtAnyFactor)
{
  HTHEME button = dxOpenTheme(totButton);
  rtl::TOwnedPtr<TdxScaleFactor> twice(rtl::New<TdxScaleFactor>());
  twice->Assign(2, 1, false);
  for (const bool force : {false, true}) {
    SCOPED_TRACE(force);
    const TRect r{10, 10, 50, 36};
    const TRect drawn = NativeTestDrawnBounds([&](auto*, TcxCanvas* C) {
      TcxWinXPLookAndFeelPainter::DrawScaledThemeBackground(button, C->GetHandle(), 1, 1, r, twice.get(), force,
                                                            false);
    });
    EXPECT_TRUE(cxRectContainsRect(r, drawn));
    EXPECT_GT(cxRectGetWidth(drawn), cxRectGetWidth(r) / 2);
  }
}

}  // namespace
