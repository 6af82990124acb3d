// The painters of the system colours: Standard, with two-pixel raised and
// sunken bevels, and Flat, which keeps the standard colours but draws
// one-pixel frames and shares the standard headers, tabs, footers and
// filter buttons. Also the start-up registration of the classic painters and
// the drawing the classic painters share.
#include <windows.h>

#include "core/cxGeometry.h"
#include "lookandfeel/cxLookAndFeelPainters.h"

using enum TcxAlignmentVert;
using enum TcxArrowDirection;
using enum TcxBorder;
using enum TcxButtonState;
using enum TcxCheckBoxState;
using enum TcxContainerBorderStyle;
using enum TcxLookAndFeelStyle;
using enum TcxNeighbor;
using enum TcxScrollBarPart;
using enum TdxBreadcrumbEditButtonState;

using namespace vcl;

namespace {

constexpr TColor kActiveFilterArrowColor = 0xFF0000;

void DrawFrame(TcxCanvas* ACanvas, const TRect& R, TColor ALeftTop, TColor ARightBottom,
               TcxBorders ABorders = cxBordersAll)
{
  ACanvas->DrawComplexFrame(R, ALeftTop, ARightBottom, ABorders);
}

void DrawRaisedBevel(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders = cxBordersAll)
{
  DrawFrame(ACanvas, R, clBtnHighlight, cl3DDkShadow, ABorders);
  DrawFrame(ACanvas, cxRectInflateAll(R, -1), cl3DLight, clBtnShadow, ABorders);
}

void DrawSunkenBevel(TcxCanvas* ACanvas, const TRect& R)
{
  DrawFrame(ACanvas, R, clBtnShadow, clBtnHighlight);
  DrawFrame(ACanvas, cxRectInflateAll(R, -1), cl3DDkShadow, cl3DLight);
}

// A raised one-pixel frame whose corners next to a neighbouring header
// blend into the face, so that a row of headers reads as one strip.
void DrawClassicHeaderBorder(TcxCanvas* ACanvas, const TRect& R, TcxNeighbors ANeighbors)
{
  DrawFrame(ACanvas, R, clBtnHighlight, clBtnShadow);
  if (ANeighbors.Contains(nLeft)) {
    ACanvas->SetPixel(R.left, R.top + 1, clBtnFace);
    ACanvas->SetPixel(R.left, R.bottom - 2, clBtnFace);
  }
  if (ANeighbors.Contains(nRight)) {
    ACanvas->SetPixel(R.right - 1, R.top, clBtnHighlight);
    ACanvas->SetPixel(R.right - 1, R.top + 1, clBtnFace);
    ACanvas->SetPixel(R.right - 1, R.bottom - 2, clBtnFace);
  }
}

// One border strip of a tab, shortened so that the tab's corners look cut.
void DrawClassicTabBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorder ABorder, TcxBorders ABorders,
                          bool AVertical)
{
  TRect strip = R;
  const bool shadowSide = AVertical ? ABorder == bBottom : ABorder == bRight;
  if (!AVertical) {
    if (ABorder == bLeft || ABorder == bRight) {
      if (ABorders.Contains(bTop))
        strip.top += 2;
      if (ABorders.Contains(bBottom))
        strip.bottom -= 1;
    } else if (ABorder == bTop) {
      strip = cxRectInflateXY(strip, -1, 0);
      ACanvas->SetPixel(R.left, R.top + 1, clBtnHighlight);
      ACanvas->SetPixel(R.right - 1, R.top + 1, clBtnHighlight);
    }
  } else if (ABorder == bLeft) {
    strip.top += ABorders.Contains(bTop) ? 2 : 1;
    strip.bottom -= ABorders.Contains(bBottom) ? 2 : 1;
    ACanvas->SetPixel(strip.left + 1, strip.top - 1, clBtnHighlight);
    ACanvas->SetPixel(strip.left + 1, strip.bottom, clBtnHighlight);
  } else if ((ABorder == bTop || ABorder == bBottom) && ABorders.Contains(bLeft))
    strip.left += 1;
  ACanvas->FillRect(strip, shadowSide ? clBtnShadow : clBtnHighlight);
}

// The filter button's frame and face; the caller adds the arrow.
void DrawClassicFilterButtonFrame(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState)
{
  if (AState == cxbsPressed)
    DrawFrame(ACanvas, R, clBtnShadow, clBtnHighlight);
  else
    DrawFrame(ACanvas, R, clBtnHighlight, clBtnShadow);
  ACanvas->FillRect(cxRectInflateAll(R, -1), clBtnFace);
}

// The rest of a scheduler splitter after its edge lines: each step draws a
// pair of lines and moves them inwards across the splitter, one pixel
// further out along it.
void DrawSplitterLines(TcxCanvas* ACanvas, TRect& R, bool AIsHorizontal, TColor AFirst, TColor ASecond)
{
  if (AIsHorizontal) {
    ACanvas->FillRect(cxRectWithHeight(R, 1), AFirst);
    ACanvas->FillRect(cxRectSetBottomAndHeight(R, R.bottom, 1), ASecond);
    R = cxRectInflateSides(R, 1, -1, 1, -1);
  } else {
    ACanvas->FillRect(cxRectWithWidth(R, 1), AFirst);
    ACanvas->FillRect(cxRectSetRightAndWidth(R, R.right, 1), ASecond);
    R = cxRectInflateSides(R, -1, 1, -1, 1);
  }
}

void DrawPolyline(TcxCanvas* ACanvas, const std::vector<TPoint>& APoints, TColor AColor)
{
  ACanvas->GetPen()->SetColor(AColor);
  ACanvas->Polyline(APoints);
}

TcxButtonState WithoutHotLook(TcxButtonState AState)
{
  return AState == cxbsHot ? cxbsNormal : AState;
}

}  // namespace

// ---------------------------------------------------------------------------
// Registration and shared drawing

void cxRegisterBuiltInPainters()
{
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  manager->Register(rtl::New<TcxFlatLookAndFeelPainter>());
  manager->Register(rtl::New<TcxOffice11LookAndFeelPainter>());
  manager->Register(rtl::New<TcxStandardLookAndFeelPainter>());
  manager->Register(rtl::New<TcxUltraFlatLookAndFeelPainter>());
  manager->Register(rtl::New<TcxWinXPLookAndFeelPainter>());
}

void cxDrawExpandSign(TcxCanvas* ACanvas, const TRect& R, bool AExpanded, TColor AColor,
                      const TdxScaleFactor* AScaleFactor)
{
  // On R's middle pixel, left of and above the centre for an even size, so
  // that the sign stays symmetric and clear of R's last column.
  const int inset = AScaleFactor->Apply(2);
  const int cx = (R.left + R.right - 1) / 2;
  const int cy = (R.top + R.bottom - 1) / 2;
  const int arm = (cxRectGetWidth(R) - 2 * inset - 1) / 2;
  if (arm < 0)
    return;
  ACanvas->FillRect(TRect{cx - arm, cy, cx + arm + 1, cy + 1}, AColor);
  if (!AExpanded)
    ACanvas->FillRect(TRect{cx, cy - arm, cx + 1, cy + arm + 1}, AColor);
}

void cxFillScrollBarTrack(TcxCanvas* ACanvas, const TRect& R, bool APressed)
{
  // The bitmap fill tiles from the canvas origin, as a pattern brush would,
  // so neighbouring parts continue one checkerboard.
  ACanvas->FillRect(R, cxScrollBarPatternBitmap(APressed ? 1 : 0));
}

void cxDrawMonthHeaderArrows(TcxCanvas* ACanvas, TcxCustomLookAndFeelPainter* APainter, const TRect& ABounds,
                             TcxArrowDirections AArrows, TColor AColor)
{
  const int side = cxRectGetHeight(ABounds);
  if (AArrows.Contains(adLeft))
    APainter->DrawArrow(ACanvas, cxRectWithWidth(ABounds, side), adLeft, AColor);
  if (AArrows.Contains(adRight))
    APainter->DrawArrow(ACanvas, cxRectSetRightAndWidth(ABounds, ABounds.right, side), adRight, AColor);
}

// ---------------------------------------------------------------------------
// TcxStandardLookAndFeelPainter

rtl::String TcxStandardLookAndFeelPainter::LookAndFeelName()
{
  return L"Standard";
}

TcxLookAndFeelStyle TcxStandardLookAndFeelPainter::LookAndFeelStyle()
{
  return lfsStandard;
}

int TcxStandardLookAndFeelPainter::BorderSize()
{
  return 2;
}

int TcxStandardLookAndFeelPainter::ButtonBorderSize(TcxButtonState AState)
{
  return AState == cxbsDefault ? 3 : 2;
}

int TcxStandardLookAndFeelPainter::ScaledButtonTextOffset(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(1);
}

int TcxStandardLookAndFeelPainter::ScaledButtonTextShift(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(1);
}

bool TcxStandardLookAndFeelPainter::IsButtonHotTrack()
{
  return false;
}

int TcxStandardLookAndFeelPainter::ScaledExpandButtonSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(12);
}

int TcxStandardLookAndFeelPainter::HeaderBorderSize()
{
  return 1;
}

int TcxStandardLookAndFeelPainter::HeaderControlSectionBorderSize(TcxButtonState AState)
{
  return AState == cxbsPressed ? 1 : 2;
}

TPoint TcxStandardLookAndFeelPainter::ScaledSortingMarkSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TPoint{8, 7});
}

TPoint TcxStandardLookAndFeelPainter::ScaledSummarySortingMarkSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TPoint{8, 8});
}

int TcxStandardLookAndFeelPainter::FooterBorderSize()
{
  return 1;
}

int TcxStandardLookAndFeelPainter::FooterCellBorderSize()
{
  return 1;
}

int TcxStandardLookAndFeelPainter::FooterCellOffset()
{
  return 1;
}

int TcxStandardLookAndFeelPainter::TabBorderSize(bool)
{
  return 1;
}

TColor TcxStandardLookAndFeelPainter::DefaultSchedulerTimeRulerBorderColor()
{
  return DefaultSchedulerTimeRulerBorderColorClassic();
}

TColor TcxStandardLookAndFeelPainter::DefaultSchedulerTimeRulerTextColor()
{
  return DefaultSchedulerTimeRulerBorderColorClassic();
}

TColor TcxStandardLookAndFeelPainter::DefaultSchedulerViewContentColor()
{
  return DefaultSchedulerViewContentColorClassic();
}

TColor TcxStandardLookAndFeelPainter::DefaultSchedulerViewContentColorClassic()
{
  return clWindow;
}

TColor TcxStandardLookAndFeelPainter::ToggleSwitchToggleColor(bool AChecked)
{
  return AChecked ? 0x219921 : 0xE3E3E3;
}

void TcxStandardLookAndFeelPainter::DrawBorder(TcxCanvas* ACanvas, const TRect& R)
{
  DrawSunkenBevel(ACanvas, R);
}

void TcxStandardLookAndFeelPainter::DrawButtonBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState)
{
  switch (AState) {
    case cxbsDefault:
      ACanvas->FrameRect(R, clBlack);
      DrawRaisedBevel(ACanvas, cxRectInflateAll(R, -1));
      break;
    case cxbsPressed:
      ACanvas->FrameRect(R, clBlack);
      ACanvas->FrameRect(cxRectInflateAll(R, -1), clBtnShadow);
      break;
    default:
      DrawRaisedBevel(ACanvas, R);
  }
}

void TcxStandardLookAndFeelPainter::DrawCheckBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState)
{
  DrawFrame(ACanvas, R, cl3DDkShadow, cl3DLight);
  DrawFrame(ACanvas, cxRectInflateAll(R, -1), clBtnShadow, clBtnHighlight);
}

void TcxStandardLookAndFeelPainter::DrawScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                                           const TdxScaleFactor* AScaleFactor, TColor AColor,
                                                           TcxExpandButtonState)
{
  DrawFrame(ACanvas, R, clBtnHighlight, cl3DDkShadow);
  const TRect inner = cxRectInflateAll(R, -1);
  DrawFrame(ACanvas, inner, clBtnShadow, clBtnShadow, {bRight, bBottom});
  ACanvas->FillRect(cxRectInflateSides(inner, 0, 0, -1, -1), AColor == clDefault ? clBtnFace : AColor);
  cxDrawExpandSign(ACanvas, R, AExpanded, clBtnText, AScaleFactor);
  ACanvas->ExcludeClipRect(R);
}

void TcxStandardLookAndFeelPainter::DrawScaledGroupExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                                                TcxButtonState AState,
                                                                const TdxScaleFactor* AScaleFactor)
{
  if (TcxCustomLookAndFeelPainter* flat = cxLookAndFeelPaintersManager()->GetPainter(lfsFlat))
    flat->DrawScaledGroupExpandButton(ACanvas, R, AExpanded, AState, AScaleFactor);
  else
    inherited::DrawScaledGroupExpandButton(ACanvas, R, AExpanded, AState, AScaleFactor);
}

void TcxStandardLookAndFeelPainter::DrawHeaderBorder(TcxCanvas* ACanvas, const TRect& R, TcxNeighbors ANeighbors,
                                                     TcxBorders)
{
  DrawClassicHeaderBorder(ACanvas, R, ANeighbors);
}

void TcxStandardLookAndFeelPainter::DrawHeaderControlSectionBorder(TcxCanvas* ACanvas, const TRect& R,
                                                                   TcxBorders ABorders, TcxButtonState AState)
{
  if (AState == cxbsPressed)
    DrawFrame(ACanvas, R, clBtnShadow, clBtnShadow, ABorders);
  else
    DrawRaisedBevel(ACanvas, R, ABorders);
}

void TcxStandardLookAndFeelPainter::DrawScaledSortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                                                          const TdxScaleFactor* AScaleFactor)
{
  DrawSortingArrow(ACanvas, R, AScaleFactor, AAscendingSorting, clBtnHighlight, clBtnShadow);
}

void TcxStandardLookAndFeelPainter::DrawScaledSummarySortingMark(TcxCanvas* ACanvas, const TRect& R,
                                                                 bool AAscendingSorting,
                                                                 const TdxScaleFactor* AScaleFactor)
{
  DrawSummarySortingArrow(ACanvas, R, AScaleFactor, AAscendingSorting, clBtnHighlight, clBtnShadow);
}

void TcxStandardLookAndFeelPainter::DrawFooterBorder(TcxCanvas* ACanvas, const TRect& R)
{
  DrawFrame(ACanvas, R, clBtnHighlight, clBtnShadow);
}

void TcxStandardLookAndFeelPainter::DrawFooterCellBorder(TcxCanvas* ACanvas, const TRect& R)
{
  DrawFrame(ACanvas, R, clBtnShadow, clBtnHighlight);
}

void TcxStandardLookAndFeelPainter::DrawScaledFilterDropDownButton(TcxCanvas* ACanvas, const TRect& R,
                                                                   TcxButtonState AState, bool AIsFilterActive,
                                                                   const TdxScaleFactor*)
{
  DrawClassicFilterButtonFrame(ACanvas, R, AState);
  DrawDropDownArrow(ACanvas, R, AIsFilterActive ? kActiveFilterArrowColor : clBtnText);
}

void TcxStandardLookAndFeelPainter::DrawFindPanelBorder(TcxCanvas*, const TRect&, TcxBorders)
{
}

void TcxStandardLookAndFeelPainter::DrawTabBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorder ABorder,
                                                  TcxBorders ABorders, bool AVertical)
{
  DrawClassicTabBorder(ACanvas, R, ABorder, ABorders, AVertical);
}

void TcxStandardLookAndFeelPainter::DrawTabsRoot(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders, bool)
{
  DrawFrame(ACanvas, R, clBtnHighlight, clBtnShadow, ABorders);
}

void TcxStandardLookAndFeelPainter::DrawScaledMonthHeader(TcxCanvas* ACanvas, const TRect& ABounds,
                                                          const rtl::String& AText, TcxNeighbors ANeighbors,
                                                          const TcxViewParams& AViewParams,
                                                          TcxArrowDirections AArrows, int,
                                                          const TdxScaleFactor* AScaleFactor,
                                                          TcxDrawBackgroundEvent AOnDrawBackground)
{
  TcxBorders borders = cxBordersAll;
  if (ANeighbors.Contains(nLeft))
    borders.Exclude(bLeft);
  if (ANeighbors.Contains(nRight))
    borders.Exclude(bRight);
  ACanvas->FrameRect(ABounds, clBlack, 1, borders);
  const TRect content = ScaledHeaderContentBounds(ABounds, borders, AScaleFactor);
  DrawScaledHeader(ACanvas, content, content, {}, cxBordersAll, cxbsNormal, rtl::TAlignment::taCenter, vaCenter, false, false,
                   AText, AViewParams.Font, AViewParams.TextColor, AViewParams.Color, AScaleFactor,
                   AOnDrawBackground);
  cxDrawMonthHeaderArrows(ACanvas, this, ABounds, AArrows, clWindowText);
}

void TcxStandardLookAndFeelPainter::DrawSchedulerSplitterBorder(TcxCanvas* ACanvas, const TRect& R,
                                                                const TcxViewParams& AViewParams,
                                                                bool AIsHorizontal)
{
  TRect rest = R;
  DrawSplitterLines(ACanvas, rest, AIsHorizontal, clBtnFace, cl3DDkShadow);
  DrawSplitterLines(ACanvas, rest, AIsHorizontal, clBtnHighlight, clBtnShadow);
  ACanvas->FillRect(rest, AViewParams);
}

void TcxStandardLookAndFeelPainter::DrawGroupBoxFrame(TcxCanvas* ACanvas, const TRect& R, bool,
                                                      TcxGroupBoxCaptionPosition, TcxBorders ABorders)
{
  // An etched line: a shadow frame with a highlight copy one pixel down and
  // right.
  const TRect frame = cxRectInflateSides(R, 0, 0, -1, -1);
  ACanvas->FrameRect(frame, clBtnShadow, 1, ABorders);
  ACanvas->FrameRect(cxRectOffsetBy(frame, 1, 1), clBtnHighlight, 1, ABorders);
}

void TcxStandardLookAndFeelPainter::DrawTrackBarTrackBounds(TcxCanvas* ACanvas, const TRect& ARect)
{
  DrawSunkenBevel(ACanvas, ARect);
}

void TcxStandardLookAndFeelPainter::DrawTrackBarThumbBorderUpDown(TcxCanvas* ACanvas,
                                                                  const std::vector<TPoint>& ALightPolyLine,
                                                                  const std::vector<TPoint>& AShadowPolyLine,
                                                                  const std::vector<TPoint>& ADarkPolyLine)
{
  DrawPolyline(ACanvas, ALightPolyLine, clBtnHighlight);
  DrawPolyline(ACanvas, AShadowPolyLine, clBtnShadow);
  DrawPolyline(ACanvas, ADarkPolyLine, cl3DDkShadow);
}

void TcxStandardLookAndFeelPainter::DrawTrackBarThumbBorderBoth(TcxCanvas* ACanvas, const TRect& ARect)
{
  DrawRaisedBevel(ACanvas, ARect);
}

void TcxStandardLookAndFeelPainter::DrawBreadcrumbEditScaledButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                                   TdxBreadcrumbEditButtonState AState, bool, bool,
                                                                   const TdxScaleFactor*)
{
  if (IsRectEmpty(&ARect))
    return;
  if (AState == dxbcbsPressed)
    DrawFrame(ACanvas, ARect, clBtnShadow, clBtnHighlight);
  else if (AState == dxbcbsFocused || AState == dxbcbsHot)
    DrawFrame(ACanvas, ARect, clBtnHighlight, clBtnShadow);
}

void TcxStandardLookAndFeelPainter::DrawScaledToggleSwitchState(TcxCanvas* ACanvas, const TRect& ABounds,
                                                                TcxButtonState, bool AChecked,
                                                                const TdxScaleFactor*)
{
  ACanvas->FillRect(ABounds, ToggleSwitchToggleColor(AChecked));
  DrawContainerBorder(ACanvas, ABounds, cbs3D, 2, 0x696969, cxBordersAll);
}

void TcxStandardLookAndFeelPainter::DrawScaledTokenBackground(TcxCanvas* ACanvas, const TRect& R,
                                                              TcxButtonState AState, const TdxScaleFactor*)
{
  DrawFrame(ACanvas, R, clBtnShadow, clBtnHighlight);
  const TRect inner = cxRectInflateAll(R, -1);
  if (AState == cxbsHot)
    DrawFrame(ACanvas, inner, clBtnHighlight, clBtnShadow);
  else if (AState == cxbsPressed)
    DrawFrame(ACanvas, inner, clBtnShadow, clBtnHighlight);
}

void TcxStandardLookAndFeelPainter::DoDrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal,
                                                        const TdxScaleFactor*, TcxScrollBarPart APart,
                                                        TcxButtonState AState, const TRect& R)
{
  if (IsRectEmpty(&R) || (APart == sbpThumbnail && AState == cxbsDisabled))
    return;
  AState = WithoutHotLook(AState);
  const bool pressed = AState == cxbsPressed;
  const auto drawButtonFrame = [&] {
    if (pressed && APart != sbpThumbnail) {
      DrawFrame(ACanvas, R, clBtnShadow, clBtnShadow);
      DrawFrame(ACanvas, cxRectInflateAll(R, -1), clBtnFace, clBtnFace);
    } else {
      DrawFrame(ACanvas, R, clBtnFace, cl3DDkShadow);
      DrawFrame(ACanvas, cxRectInflateAll(R, -1), clBtnHighlight, clBtnShadow);
    }
  };
  switch (APart) {
    case sbpPageUp:
    case sbpPageDown:
      cxFillScrollBarTrack(ACanvas, R, pressed);
      break;
    case sbpThumbnail:
      drawButtonFrame();
      ACanvas->FillRect(cxRectInflateAll(R, -ButtonBorderSize(cxbsNormal)), clBtnFace);
      break;
    case sbpLineUp:
    case sbpLineDown: {
      static constexpr UINT kArrows[2][2] = {{DFCS_SCROLLUP, DFCS_SCROLLDOWN}, {DFCS_SCROLLLEFT, DFCS_SCROLLRIGHT}};
      UINT flags = kArrows[AHorizontal][APart == sbpLineDown];
      if (AState == cxbsDisabled)
        flags |= DFCS_INACTIVE;
      if (pressed)
        flags |= DFCS_FLAT;
      // The pressed button moves one pixel right and down; the clip keeps
      // that pixel off the neighbouring part.
      TRect button = pressed ? cxRectOffsetBy(R, 1, 1) : R;
      ACanvas->SaveClipRegion();
      ACanvas->IntersectClipRect(R);
      DrawFrameControl(ACanvas->GetHandle(), &button, DFC_SCROLL, flags);
      ACanvas->RestoreClipRegion();
      drawButtonFrame();
      break;
    }
    default:
      break;
  }
}

// ---------------------------------------------------------------------------
// TcxFlatLookAndFeelPainter

rtl::String TcxFlatLookAndFeelPainter::LookAndFeelName()
{
  return L"Flat";
}

TcxLookAndFeelStyle TcxFlatLookAndFeelPainter::LookAndFeelStyle()
{
  return lfsFlat;
}

int TcxFlatLookAndFeelPainter::BorderSize()
{
  return 1;
}

int TcxFlatLookAndFeelPainter::SeparatorSize()
{
  return 2;
}

int TcxFlatLookAndFeelPainter::ButtonBorderSize(TcxButtonState AState)
{
  return AState == cxbsDefault ? 2 : 1;
}

int TcxFlatLookAndFeelPainter::ScaledButtonTextOffset(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(1);
}

int TcxFlatLookAndFeelPainter::ScaledButtonTextShift(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(1);
}

bool TcxFlatLookAndFeelPainter::IsButtonHotTrack()
{
  return false;
}

int TcxFlatLookAndFeelPainter::ScaledExpandButtonSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(11);
}

int TcxFlatLookAndFeelPainter::HeaderBorderSize()
{
  return 1;
}

TPoint TcxFlatLookAndFeelPainter::ScaledSortingMarkSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TPoint{8, 7});
}

TPoint TcxFlatLookAndFeelPainter::ScaledSummarySortingMarkSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TPoint{8, 8});
}

int TcxFlatLookAndFeelPainter::FooterBorderSize()
{
  return 1;
}

int TcxFlatLookAndFeelPainter::FooterCellBorderSize()
{
  return 1;
}

int TcxFlatLookAndFeelPainter::FooterCellOffset()
{
  return 1;
}

int TcxFlatLookAndFeelPainter::TabBorderSize(bool)
{
  return 1;
}

TColor TcxFlatLookAndFeelPainter::DefaultSchedulerTimeRulerBorderColor()
{
  return DefaultSchedulerTimeRulerBorderColorClassic();
}

TColor TcxFlatLookAndFeelPainter::DefaultSchedulerTimeRulerTextColor()
{
  return DefaultSchedulerTimeRulerBorderColorClassic();
}

TColor TcxFlatLookAndFeelPainter::GetSplitterOuterColor(bool AHighlighted)
{
  return AHighlighted ? cl3DDkShadow : inherited::GetSplitterOuterColor(AHighlighted);
}

TColor TcxFlatLookAndFeelPainter::ToggleSwitchToggleColor(bool AChecked)
{
  return AChecked ? 0xA0A0A0 : 0xC8C8C8;
}

void TcxFlatLookAndFeelPainter::DrawBorder(TcxCanvas* ACanvas, const TRect& R)
{
  DrawFrame(ACanvas, R, clBtnShadow, clBtnHighlight);
}

void TcxFlatLookAndFeelPainter::DrawButtonBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState)
{
  switch (AState) {
    case cxbsPressed:
      DrawFrame(ACanvas, R, clBtnShadow, clBtnHighlight);
      break;
    case cxbsDefault:
      ACanvas->FrameRect(R, clBlack);
      DrawFrame(ACanvas, cxRectInflateAll(R, -1), clBtnHighlight, clBtnShadow);
      break;
    default:
      DrawFrame(ACanvas, R, clBtnHighlight, clBtnShadow);
  }
}

void TcxFlatLookAndFeelPainter::DrawCheckBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState)
{
  DrawFrame(ACanvas, R, clBtnShadow, clBtnHighlight);
  ACanvas->FrameRect(cxRectInflateAll(R, -1), CheckButtonColor(AState, cbsChecked));
}

void TcxFlatLookAndFeelPainter::DrawScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                                       const TdxScaleFactor* AScaleFactor, TColor AColor,
                                                       TcxExpandButtonState)
{
  DrawScaledButton(ACanvas, R, L"", cxbsNormal, AScaleFactor, true, AColor, clDefault);
  cxDrawExpandSign(ACanvas, cxRectInflateAll(R, -1), AExpanded, clBtnText, AScaleFactor);
  ACanvas->ExcludeClipRect(R);
}

void TcxFlatLookAndFeelPainter::DrawHeaderBorder(TcxCanvas* ACanvas, const TRect& R, TcxNeighbors ANeighbors,
                                                 TcxBorders)
{
  DrawClassicHeaderBorder(ACanvas, R, ANeighbors);
}

void TcxFlatLookAndFeelPainter::DrawHeaderControlSectionBorder(TcxCanvas* ACanvas, const TRect& R,
                                                               TcxBorders ABorders, TcxButtonState AState)
{
  if (AState == cxbsPressed)
    DrawFrame(ACanvas, R, clBtnShadow, clBtnHighlight, ABorders);
  else
    DrawFrame(ACanvas, R, clBtnHighlight, clBtnShadow, ABorders);
}

void TcxFlatLookAndFeelPainter::DrawScaledSortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                                                      const TdxScaleFactor* AScaleFactor)
{
  DrawSortingArrow(ACanvas, R, AScaleFactor, AAscendingSorting, clBtnHighlight, clBtnShadow);
}

void TcxFlatLookAndFeelPainter::DrawScaledSummarySortingMark(TcxCanvas* ACanvas, const TRect& R,
                                                             bool AAscendingSorting,
                                                             const TdxScaleFactor* AScaleFactor)
{
  DrawSummarySortingArrow(ACanvas, R, AScaleFactor, AAscendingSorting, clBtnHighlight, clBtnShadow);
}

void TcxFlatLookAndFeelPainter::DrawFooterBorder(TcxCanvas* ACanvas, const TRect& R)
{
  DrawFrame(ACanvas, R, clBtnHighlight, clBtnShadow);
}

void TcxFlatLookAndFeelPainter::DrawFooterCellBorder(TcxCanvas* ACanvas, const TRect& R)
{
  DrawFrame(ACanvas, R, clBtnShadow, clBtnHighlight);
}

void TcxFlatLookAndFeelPainter::DrawScaledFilterDropDownButton(TcxCanvas* ACanvas, const TRect& R,
                                                               TcxButtonState AState, bool AIsFilterActive,
                                                               const TdxScaleFactor*)
{
  DrawClassicFilterButtonFrame(ACanvas, R, AState);
  DrawDropDownArrow(ACanvas, R, AIsFilterActive ? kActiveFilterArrowColor : clBtnText);
}

void TcxFlatLookAndFeelPainter::DrawFindPanelBorder(TcxCanvas*, const TRect&, TcxBorders)
{
}

void TcxFlatLookAndFeelPainter::DrawTabBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorder ABorder,
                                              TcxBorders ABorders, bool AVertical)
{
  DrawClassicTabBorder(ACanvas, R, ABorder, ABorders, AVertical);
}

void TcxFlatLookAndFeelPainter::DrawTabsRoot(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders, bool)
{
  DrawFrame(ACanvas, R, clBtnHighlight, clBtnShadow, ABorders);
}

void TcxFlatLookAndFeelPainter::DrawSchedulerSplitterBorder(TcxCanvas* ACanvas, const TRect& R,
                                                            const TcxViewParams& AViewParams, bool AIsHorizontal)
{
  TRect rest = R;
  DrawSplitterLines(ACanvas, rest, AIsHorizontal, clBtnHighlight, clBtnShadow);
  ACanvas->FillRect(rest, AViewParams);
}

void TcxFlatLookAndFeelPainter::DrawDateNavigatorDateHeader(TcxCanvas* ACanvas, TRect& R)
{
  ACanvas->FillRect(R, DefaultDateNavigatorHeaderColor());
  ACanvas->FillRect(cxRectSetBottomAndHeight(R, R.bottom, 1), clBtnFace);
  R.bottom -= 1;
}

void TcxFlatLookAndFeelPainter::DrawGroupBoxFrame(TcxCanvas* ACanvas, const TRect& R, bool,
                                                  TcxGroupBoxCaptionPosition, TcxBorders ABorders)
{
  ACanvas->FrameRect(R, clBtnShadow, 1, ABorders, true);
  ACanvas->FrameRect(cxRectInflateAll(R, -1), clBtnHighlight, 1, ABorders, true);
}

void TcxFlatLookAndFeelPainter::DrawTrackBarTrackBounds(TcxCanvas* ACanvas, const TRect& ARect)
{
  DrawFrame(ACanvas, ARect, clBtnShadow, clBtnHighlight);
  DrawFrame(ACanvas, cxRectInflateAll(ARect, -1), clBtnFace, clBtnFace);
}

void TcxFlatLookAndFeelPainter::DrawTrackBarThumbBorderUpDown(TcxCanvas* ACanvas,
                                                              const std::vector<TPoint>& ALightPolyLine,
                                                              const std::vector<TPoint>&,
                                                              const std::vector<TPoint>& ADarkPolyLine)
{
  DrawPolyline(ACanvas, ALightPolyLine, clBtnHighlight);
  DrawPolyline(ACanvas, ADarkPolyLine, clBtnShadow);
}

void TcxFlatLookAndFeelPainter::DrawTrackBarThumbBorderBoth(TcxCanvas* ACanvas, const TRect& ARect)
{
  DrawFrame(ACanvas, ARect, clBtnHighlight, clBtnShadow);
}

void TcxFlatLookAndFeelPainter::DrawScaledToggleSwitchState(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState,
                                                            bool AChecked, const TdxScaleFactor*)
{
  ACanvas->FillRect(ABounds, ToggleSwitchToggleColor(AChecked));
  // A sunken edge on the bounds' own outer pixels: lines from corner to
  // corner would put the light sides one pixel outside the bounds.
  DrawFrame(ACanvas, ABounds, 0xA0A0A0, clWhite);
}

void TcxFlatLookAndFeelPainter::DoDrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal,
                                                    const TdxScaleFactor* AScaleFactor, TcxScrollBarPart APart,
                                                    TcxButtonState AState, const TRect& R)
{
  if (IsRectEmpty(&R) || (APart == sbpThumbnail && AState == cxbsDisabled))
    return;
  AState = WithoutHotLook(AState);
  switch (APart) {
    case sbpPageUp:
    case sbpPageDown:
      cxFillScrollBarTrack(ACanvas, R, AState == cxbsPressed);
      break;
    case sbpThumbnail:
      DrawScaledButton(ACanvas, R, L"", AState, AScaleFactor);
      break;
    case sbpLineUp:
    case sbpLineDown:
      DrawScaledButton(ACanvas, R, L"", AState, AScaleFactor);
      DrawScaledScrollBarArrow(ACanvas, cxRectInflateAll(R, -ButtonBorderSize(cxbsNormal)), AState,
                               GetScrollBarArrowDirection(AHorizontal, APart), AScaleFactor);
      break;
    default:
      break;
  }
}
