// Not a test: draws the base painter's elements into one PNG sheet for
// people to look at. Run it on purpose:
//   lookandfeel_tests --gtest_also_run_disabled_tests --gtest_filter=*RenderSheet*
// It writes BasePainterSheet.png to the working directory (or to the folder
// named by KV_RENDER_DIR).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "tests/lookandfeel/LookAndFeelTestSupport.h"

using enum TcxArrowDirection;
using enum TcxButtonState;
using enum TcxCheckBoxState;
using enum TcxIndicatorKind;
using enum TcxTrackBarTicksAlign;
using enum TdxCorner;

using namespace vcl;

namespace {

// Lays cells out left to right in rows, each cell framed lightly.
class TRenderSheetLayout {
 public:
  TRenderSheetLayout(TcxCanvas* ACanvas, int AWidth) : FCanvas(ACanvas), FWidth(AWidth) {}

  void Cell(int AWidth, int AHeight, const std::function<void(TcxCanvas*, const TRect&)>& ADraw)
  {
    if (FX + AWidth + 8 > FWidth) {
      FX = 8;
      FY += FRowHeight + 8;
      FRowHeight = 0;
    }
    const TRect cell = cxRectBounds(FX, FY, AWidth, AHeight);
    FCanvas->FrameRect(cxRectInflateAll(cell, 1), static_cast<TColor>(0xE0E0E0));
    ADraw(FCanvas, cell);
    FX += AWidth + 8;
    FRowHeight = std::max(FRowHeight, AHeight);
  }
  void NewRow()
  {
    FX = FWidth;
  }

 private:
  TcxCanvas* FCanvas;
  int FWidth;
  int FX = 8;
  int FY = 8;
  int FRowHeight = 0;
};

TEST(cxLookAndFeelPaintersRender, DISABLED_RenderSheet)
{
  const rtl::TOwnedPtr<lnftest::TTestPainter> painter(rtl::New<lnftest::TTestPainter>());
  TcxCustomLookAndFeelPainter* p = painter.get();
  const TdxScaleFactor* f = dxGetDefaultScaleFactor();
  // 24 bits: GDI leaves the alpha of what it draws at 0, which a PNG would show
  // as transparent.
  const rtl::TOwnedPtr<TcxBitmap> bitmap(rtl::NewWith<TcxBitmap>([](TcxBitmap* B) { B->CreateSize(640, 560); }));
  TcxCanvas* canvas = bitmap->GetcxCanvas();
  canvas->FillRect(bitmap->GetClientRect(), clWhite);
  TRenderSheetLayout sheet(canvas, 640);

  for (const TcxArrowDirection d : {adUp, adDown, adLeft, adRight})
    sheet.Cell(20, 20, [&](TcxCanvas* C, const TRect& R) { p->DrawScaledArrow(C, R, cxbsNormal, d, f); });
  for (const TcxButtonState s : {cxbsNormal, cxbsPressed, cxbsDisabled})
    sheet.Cell(17, 17, [&](TcxCanvas* C, const TRect& R) { p->DrawScaledScrollBarArrow(C, R, s, adDown, f); });
  sheet.Cell(20, 20, [&](TcxCanvas* C, const TRect& R) { p->DrawCollapseArrow(C, R, clNavy, 2); });
  sheet.Cell(80, 24, [&](TcxCanvas* C, const TRect& R) { p->DrawScaledButton(C, R, L"&Button", cxbsNormal, f); });
  sheet.Cell(80, 24, [&](TcxCanvas* C, const TRect& R) { p->DrawScaledButton(C, R, L"Disabled", cxbsDisabled, f); });
  sheet.NewRow();
  for (const bool expanded : {false, true}) {
    sheet.Cell(15, 15, [&](TcxCanvas* C, const TRect& R) { p->DrawScaledGroupExpandButton(C, R, expanded, cxbsNormal, f); });
    sheet.Cell(9, 9, [&](TcxCanvas* C, const TRect& R) { p->DrawScaledSmallExpandButton(C, R, expanded, clGray, f, clWhite); });
    sheet.Cell(15, 21, [&](TcxCanvas* C, const TRect& R) {
      p->DrawScaledExpandButtonEx(C, R, cxbsHot, expanded, f, TcxRotationAngle::raPlus90);
    });
  }
  sheet.Cell(30, 30, [&](TcxCanvas* C, const TRect& R) { p->DrawScaledCommandLinkGlyph(C, {R.left, R.top}, cxbsNormal, f); });
  sheet.Cell(30, 30, [&](TcxCanvas* C, const TRect& R) { p->DrawScaledCommandLinkGlyph(C, {R.left, R.top}, cxbsHot, f); });
  for (const TcxButtonState s : {cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled}) {
    sheet.Cell(22, 22, [&](TcxCanvas* C, const TRect& R) { p->DrawScaledBackButton(C, R, s, f); });
    sheet.Cell(20, 20, [&](TcxCanvas* C, const TRect& R) { p->DrawScaledSearchEditButtonGlyph(C, R, s, f); });
  }
  sheet.NewRow();
  sheet.Cell(16, 14, [&](TcxCanvas* C, const TRect& R) { p->DrawScaledFilterCloseButton(C, R, cxbsNormal, f); });
  sheet.Cell(15, 15, [&](TcxCanvas* C, const TRect& R) { p->DrawScaledZoomInButton(C, R, cxbsNormal, f); });
  sheet.Cell(15, 15, [&](TcxCanvas* C, const TRect& R) { p->DrawScaledZoomOutButton(C, R, cxbsDisabled, f); });
  for (const TcxCheckBoxState s : {cbsUnchecked, cbsChecked, cbsGrayed})
    sheet.Cell(17, 17, [&](TcxCanvas* C, const TRect& R) { p->DrawScaledCheckButton(C, R, cxbsNormal, s, f); });
  sheet.Cell(17, 17, [&](TcxCanvas* C, const TRect& R) { p->DrawScaledCheckButton(C, R, cxbsDisabled, cbsChecked, f); });
  sheet.Cell(60, 2, [&](TcxCanvas* C, const TRect& R) { p->DrawLabelLine(C, R, clDefault, clDefault, false); });
  sheet.Cell(60, 20, [&](TcxCanvas* C, const TRect& R) { p->DrawContainerBorder(C, R, TcxContainerBorderStyle::cbs3D, 2, clBlack, cxBordersAll); });
  sheet.NewRow();
  sheet.Cell(81, 2, [&](TcxCanvas* C, const TRect& R) { p->DrawScaledSplitter(C, R, false, false, true, f); });
  for (const TcxArrowDirection d : {adUp, adDown, adLeft, adRight})
    sheet.Cell(41, 21, [&](TcxCanvas* C, const TRect& R) {
      const bool horizontal = d == adUp || d == adDown;
      const TRect line = horizontal ? cxRectCenterVertBox(R, 2) : cxRectCenterHorzBox(cxRectWithWidth(R, 21), 2);
      p->DrawScaledSplitter(C, line, false, false, horizontal, f, true, d);
    });
  for (const TdxBevelShape s : {TdxBevelShape::dxbsBox, TdxBevelShape::dxbsFrame, TdxBevelShape::dxbsLineCenteredHorz})
    sheet.Cell(24, 24, [&](TcxCanvas* C, const TRect& R) { p->DrawBevelShape(C, R, s, TdxBevelStyle::dxbsLowered); });
  sheet.NewRow();
  sheet.Cell(120, 20, [&](TcxCanvas* C, const TRect& R) {
    C->FillRect(cxRectWithWidth(R, 50), clNavy);
    p->DrawProgressBarText(C, false, false, L"42 %", R, R, cxRectWithWidth(R, 50), clDefault);
  });
  for (const auto style : {TcxEditPopupBorderStyle::epbsSingle, TcxEditPopupBorderStyle::epbsFlat,
                           TcxEditPopupBorderStyle::epbsFrame3D})
    sheet.Cell(30, 30, [&](TcxCanvas* C, const TRect& R) {
      TRect r = R;
      p->DrawEditPopupWindowBorder(C, r, style, false);
    });
  for (const TdxCorner corner : {coTopLeft, coTopRight, coBottomLeft, coBottomRight})
    sheet.Cell(17, 17, [&](TcxCanvas* C, const TRect& R) { p->DrawScaledSizeGrip(C, R, f, clNone, corner); });
  sheet.NewRow();
  for (const TcxIndicatorKind k : {ikArrow, ikEdit, ikInsert, ikMultiDot, ikMultiArrow, ikFilter, ikInplaceEdit})
    sheet.Cell(16, 18, [&](TcxCanvas* C, const TRect& R) { p->DrawScaledIndicatorItem(C, R, k, clBtnFace, f); });
  sheet.Cell(16, 18, [&](TcxCanvas* C, const TRect& R) { p->DrawScaledSummaryValueSortingMark(C, R, true, f); });
  sheet.Cell(16, 18, [&](TcxCanvas* C, const TRect& R) { p->DrawScaledIndicatorCustomizationMark(C, R, clBlack, f); });
  sheet.Cell(15, 15, [&](TcxCanvas* C, const TRect& R) { p->DrawPin(C, R, clBlack, true); });
  sheet.Cell(15, 15, [&](TcxCanvas* C, const TRect& R) { p->DrawPin(C, R, clBlack, false); });
  for (const auto kind : {TdxAlertWindowButtonKind::awbkClose, TdxAlertWindowButtonKind::awbkPin,
                          TdxAlertWindowButtonKind::awbkDropdown, TdxAlertWindowButtonKind::awbkNext})
    sheet.Cell(16, 16, [&](TcxCanvas* C, const TRect& R) { p->DrawAlertWindowScaledButton(C, R, cxbsNormal, kind, f, false); });
  sheet.NewRow();
  sheet.Cell(60, 20, [&](TcxCanvas* C, const TRect& R) {
    p->DrawScaledTokenBackground(C, R, cxbsHot, f);
    p->DrawScaledTokenCloseGlyph(C, cxRectSetRightAndWidth(R, R.right, 16), cxbsNormal, f);
  });
  sheet.Cell(80, 40, [&](TcxCanvas* C, const TRect& R) {
    p->DrawDropDownListBoxBackground(C, R, true);
    p->DrawDropDownListBoxScaledSeparator(C, cxRectCenterVertBox(cxRectInflateAll(R, -3), 8), {}, f);
  });
  sheet.Cell(20, 20, [&](TcxCanvas* C, const TRect& R) {
    p->DrawBreadcrumbEditScaledDropDownButton(C, R, TdxBreadcrumbEditButtonState::dxbcbsHot, true, f);
    p->DrawBreadcrumbEditScaledDropDownButtonGlyph(C, R, TdxBreadcrumbEditButtonState::dxbcbsHot, true, f);
  });
  sheet.Cell(80, 30, [&](TcxCanvas* C, const TRect& R) { p->ScreenTipDrawBackground(C, R); });
  sheet.Cell(100, 30, [&](TcxCanvas* C, const TRect& R) { p->DrawMessageBox(C, R, L"No data", nullptr, clNone); });
  sheet.NewRow();
  for (const TcxTrackBarTicksAlign t : {tbtaUp, tbtaDown, tbtaBoth}) {
    sheet.Cell(11, 20, [&](TcxCanvas* C, const TRect& R) { p->DrawTrackBarScaledThumb(C, R, cxbsNormal, true, t, clGray, f); });
    sheet.Cell(20, 11, [&](TcxCanvas* C, const TRect& R) { p->DrawTrackBarScaledThumb(C, R, cxbsNormal, false, t, clGray, f); });
  }
  sheet.Cell(20, 20, [&](TcxCanvas* C, const TRect& R) {
    p->DrawRangeTrackBarScaledLeftThumb(C, cxRectWithWidth(R, 10), cxbsNormal, true, tbtaDown, clGray, f);
    p->DrawRangeTrackBarScaledRightThumb(C, cxRectSetRightAndWidth(R, R.right, 10), cxbsNormal, true, tbtaDown, clGray, f);
  });
  sheet.Cell(11, 19, [&](TcxCanvas* C, const TRect& R) { p->DrawRangeControlScaledLeftThumb(C, R, clDefault, 0xFF6070A0, f); });
  sheet.Cell(60, 20, [&](TcxCanvas* C, const TRect& R) { p->DrawRangeControlScaledRulerHeader(C, R, true, 0x00010203, 0xFF6070A0, f); });
  sheet.Cell(5, 9, [&](TcxCanvas* C, const TRect& R) { p->DrawRangeControlScaledSizingGlyph(C, R, 0xFF6070A0, f); });
  sheet.Cell(80, 20, [&](TcxCanvas* C, const TRect& R) {
    p->DrawScaledHeader(C, R, cxRectInflateAll(R, -2), {}, cxBordersAll, cxbsNormal, rtl::TAlignment::taCenter,
                        TcxAlignmentVert::vaCenter, false, true, L"Header", nullptr, clBlack, clBtnFace, f);
  });

  const rtl::TOwnedPtr<TdxPNGImage> png(rtl::New<TdxPNGImage>());
  png->LoadFromBitmap(bitmap.get());
  const char* folder = std::getenv("KV_RENDER_DIR");
  const std::wstring path = (folder ? std::wstring(folder, folder + std::strlen(folder)) + L"\\" : std::wstring()) +
                            L"BasePainterSheet.png";
  png->SaveToFile(path);
}

}  // namespace
