// The flat tab painters: ExtraFlat, UltraFlat and Office11 put their tabs on
// a light band closed toward the page by lines; Flat outlines classic tabs
// with one pixel.
#include <algorithm>
#include <initializer_list>
#include <vector>

#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsColors.h"
#include "graphics/cxGraphicsDraw.h"
#include "graphics/dxOffice11.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "pagecontrol/cxPCPainters.h"

namespace {

using P = TPoint;

vcl::TColor LightBrushColor = vcl::clBtnFace;

bool IsEmptyFlatRect(const TRect& R)
{
  return R.right <= R.left || R.bottom <= R.top;
}

bool IsTopOrLeft(TcxTabPosition APosition)
{
  return APosition == TcxTabPosition::tpTop || APosition == TcxTabPosition::tpLeft;
}

bool IsHorizontal(TcxTabPosition APosition)
{
  return APosition == TcxTabPosition::tpTop || APosition == TcxTabPosition::tpBottom;
}

// Grows R, told as offsets for tabs on top (outward, along the row at the
// start, toward the page, along the row at the end), at the position.
TRect GrowTabRect(const TRect& R, TcxTabPosition APosition, int AStart, int AOutward, int AEnd, int APage)
{
  const TRect offsets = RotateTabRect(TRect{AStart, AOutward, AEnd, APage}, APosition);
  return TRect{R.left - offsets.left, R.top - offsets.top, R.right + offsets.right, R.bottom + offsets.bottom};
}

// A line of R one pixel thick at its side toward the page, AIndex pixels in.
TRect PageSideLine(const TRect& R, TcxTabPosition APosition, int AIndex)
{
  switch (APosition) {
    case TcxTabPosition::tpBottom:
      return TRect{R.left, R.top + AIndex, R.right, R.top + AIndex + 1};
    case TcxTabPosition::tpLeft:
      return TRect{R.right - AIndex - 1, R.top, R.right - AIndex, R.bottom};
    case TcxTabPosition::tpRight:
      return TRect{R.left + AIndex, R.top, R.left + AIndex + 1, R.bottom};
    default:
      return TRect{R.left, R.bottom - AIndex - 1, R.right, R.bottom - AIndex};
  }
}

// A polyline completed by its end point, which LineTo leaves out.
void DrawFlatPolyline(TcxCanvas* ACanvas, std::initializer_list<TPoint> APoints, vcl::TColor AColor)
{
  const std::vector<TPoint> points(APoints);
  ACanvas->GetPen()->SetColor(AColor);
  ACanvas->GetPen()->SetWidth(1);
  ACanvas->Polyline(points);
  ACanvas->SetPixel(points.back().x, points.back().y, AColor);
}

// The HSV value times 1.85, at most full.
vcl::TColor BrightenColor(vcl::TColor AColor)
{
  TdxHSV hsv = cxColorToHSV(AColor);
  hsv.V = std::min(hsv.V * 1.85, 1.0);
  return cxHSVToColor(hsv);
}

bool IsLookAndFeelStyle(TcxLookAndFeel* ALookAndFeel, TcxLookAndFeelStyle AStyle)
{
  TcxCustomLookAndFeelPainter* painter = ALookAndFeel->GetAvailablePainter(TdxThemedObjectType::totTab);
  return painter && painter->LookAndFeelStyle() == AStyle;
}

}  // namespace

vcl::TColor cxPCLightBrushColor()
{
  return LightBrushColor;
}

void cxPCCalculateLightBrushColor()
{
  const COLORREF face = static_cast<COLORREF>(vcl::ColorToRGB(vcl::clBtnFace));
  auto lighter = [](int AComponent) { return AComponent >= 236 ? 255 : AComponent + 20; };
  LightBrushColor =
      static_cast<vcl::TColor>(RGB(lighter(GetRValue(face)), lighter(GetGValue(face)), lighter(GetBValue(face))));
}

// ---------------------------------------------------------------------------
// TcxPCExtraFlatPainter: metrics

int TcxPCExtraFlatPainter::GetDefaultTabHeight()
{
  int result = Scaled(17);
  cxEnsureTouchExtent(result, ScaleFactor());
  return result;
}

int TcxPCExtraFlatPainter::GetContentHeight()
{
  return inherited::GetContentHeight() - Scaled(3);
}

int TcxPCExtraFlatPainter::CalculateTabNormalHeight()
{
  const int defaultHeight = GetDefaultTabHeight();
  int result = std::max(GetContentHeight(), defaultHeight);
  const int imageHeight = FViewInfo->HasImages() ? FViewInfo->GetTabImageSize().cy : 0;
  if (FViewInfo->ActuallyRotate() && imageHeight > 0 && (result - imageHeight) % 2 != 0)
    ++result;
  // The settings' tab height counts the band this style draws under tabs.
  const int defined = FViewInfo->GetTabsViewInfo()->GetTabDefaultHeight() - 4;
  if (defined >= defaultHeight)
    result = std::max(result, defined);
  return result;
}

int TcxPCExtraFlatPainter::GetTabTextWidth(TcxTabViewInfo* ATabViewInfo)
{
  return inherited::GetTabTextWidth(ATabViewInfo) - 3;
}

int TcxPCExtraFlatPainter::CalculateTabNormalWidth(TcxTabViewInfo* ATabViewInfo)
{
  return std::max(inherited::CalculateTabNormalWidth(ATabViewInfo), GetMinTabWidth(ATabViewInfo->GetVisibleIndex()));
}

void TcxPCExtraFlatPainter::CorrectTabNormalWidth(int& AValue)
{
  AValue += Scaled(12);
}

int TcxPCExtraFlatPainter::GetMinTabWidth(int AIndex)
{
  return GetWidthWithoutText(AIndex);
}

int TcxPCExtraFlatPainter::GetHeaderButtonHeightBase()
{
  return Scaled(13);
}

int TcxPCExtraFlatPainter::GetHeaderButtonWidthBase(TcxPCNavigatorButton)
{
  return Scaled(13);
}

int TcxPCExtraFlatPainter::GetHeaderButtonsDistance(TcxPCNavigatorButton AButton1, TcxPCNavigatorButton AButton2)
{
  auto isArrow = [](TcxPCNavigatorButton AButton) {
    return AButton == TcxPCNavigatorButton::nbTopLeft || AButton == TcxPCNavigatorButton::nbBottomRight;
  };
  // The go-dialog button joins the arrows.
  if ((AButton1 == TcxPCNavigatorButton::nbGoDialog && isArrow(AButton2)) ||
      (AButton2 == TcxPCNavigatorButton::nbGoDialog && isArrow(AButton1)))
    return 0;
  return Scaled(3);
}

int TcxPCExtraFlatPainter::GetNavigatorOffsetAcross()
{
  return Scaled(6);
}

int TcxPCExtraFlatPainter::GetNavigatorOffsetAlong()
{
  return Scaled(IsPageEdgeBandDrawn() ? 2 : 1);
}

TSize TcxPCExtraFlatPainter::GetTabsDistance()
{
  return FViewInfo->ActuallyRotate() ? TSize{6, 1} : TSize{1, 6};
}

TRect TcxPCExtraFlatPainter::GetTabImageOffsets(int AIndex)
{
  return TRect{IsTabDrawnDown(AIndex) ? 3 : 2, 0, 0, 0};
}

TRect TcxPCExtraFlatPainter::GetTabTextOffsets(int AIndex)
{
  const bool main = IsTabDrawnDown(AIndex);
  TRect offsets{main ? 6 : 5, 2, 3, 0};
  if (FViewInfo->HasImages())
    offsets.left += main ? 1 : 2;
  if (AIndex >= 0 && GetTabViewInfo(AIndex)->GetRelativeTextRotationAngle() == TcxRotationAngle::ra180) {
    offsets.top = 0;
    offsets.bottom = 0;
  }
  return offsets;
}

TPoint TcxPCExtraFlatPainter::GetTabContentOffsets(int AIndex)
{
  const int offset = Scaled(IsTabDrawnDown(AIndex) ? 3 : 2);
  return TPoint{offset, offset};
}

TPoint TcxPCExtraFlatPainter::GetTooLongTextContentOffsets(int AIndex)
{
  return GetTabContentOffsets(AIndex);
}

TRect TcxPCExtraFlatPainter::GetTabFullRectExtension(int AIndex)
{
  return AIndex >= 0 && GetTabViewInfo(AIndex)->IsMainTab() ? TRect{-1, -1, 1, 1} : TRect{};
}

int TcxPCExtraFlatPainter::GetHeaderButtonsExcess()
{
  return std::max(FViewInfo->GetHeaderButtonHeight() - GetHeaderButtonHeight(), 0);
}

void TcxPCExtraFlatPainter::CalculateTabsPosition(TcxPCTabsPosition& ATabsPosition)
{
  const TRect bounds = FViewInfo->GetControlBounds();
  const bool topOrBottom = FViewInfo->IsTopOrBottom();
  const int along = topOrBottom ? bounds.right : bounds.bottom;
  const int across = topOrBottom ? bounds.bottom : bounds.right;
  const int band = IsPageEdgeBandDrawn() ? GetFrameWidth() : 0;
  TRect normal{6, 3 + band + GetHeaderButtonsExcess(), along - 6, across - band};
  const int navigatorLength = CalculateHeaderButtons();
  if (navigatorLength > 0) {
    const TcxPCNavigatorPosition position = FViewInfo->Properties()->GetNavigatorPosition();
    const bool atStart = topOrBottom ? position == TcxPCNavigatorPosition::npLeftTop ||
                                           position == TcxPCNavigatorPosition::npLeftBottom
                                     : position == TcxPCNavigatorPosition::npLeftTop ||
                                           position == TcxPCNavigatorPosition::npRightTop;
    if (atStart)
      normal.left += navigatorLength;
    else
      normal.right -= navigatorLength;
  }
  const TRect extended{normal.left - 1, normal.top - 1, normal.right + 1, normal.bottom};
  SetTabsPosition(ATabsPosition, extended, normal);
  ATabsPosition.NormalRowWidth = std::max(along - navigatorLength - 12, 0);
  ATabsPosition.MinDistanceBetweenTopOrLeftAndBottomOrRightExtendedTabsRects = 6 - 1;
}

void TcxPCExtraFlatPainter::GetPageClientRectOffset(TRect& AOffsets)
{
  inherited::GetPageClientRectOffset(AOffsets);
  if (!FViewInfo->IsTabsVisible())
    return;
  // The page-edge band lies between the tabs and the page.
  AOffsets.top += 2;
  if (HasFrame())
    --AOffsets.top;
}

void TcxPCExtraFlatPainter::GetTabsAreaExtents(TRect& AExtents)
{
  inherited::GetTabsAreaExtents(AExtents);
  if (FViewInfo->IsTabsOnBothSides())
    AExtents.bottom += 3;
}

vcl::TColor TcxPCExtraFlatPainter::GetTabColor(int AIndex)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  if (tab->IsHighlighted())
    return vcl::clHighlight;
  if (GetTabOwnColor(AIndex) != vcl::clDefault)
    return GetTabOwnColor(AIndex);
  if (tab->IsMainTab())
    return vcl::clBtnFace;
  return GetRowBackgroundColor();
}

vcl::TColor TcxPCExtraFlatPainter::GetRowBackgroundColor()
{
  return FViewInfo->Properties()->GetIsTabsContainer() ? GetControlColor() : cxPCLightBrushColor();
}

vcl::TColor TcxPCExtraFlatPainter::GetPageEdgeColor()
{
  const int main = FViewInfo->GetMainTabVisibleIndex();
  if (main >= 0 && GetTabOwnColor(main) != vcl::clDefault)
    return GetTabOwnColor(main);
  return vcl::clBtnFace;
}

TRect TcxPCExtraFlatPainter::GetPageEdgeRect()
{
  const TRect page = GetPageClientRect();
  if (!FViewInfo->IsTabsVisible() || IsEmptyFlatRect(page))
    return TRect{};
  switch (FViewInfo->TabPosition()) {
    case TcxTabPosition::tpBottom:
      return TRect{page.left, page.bottom, page.right, page.bottom + 2};
    case TcxTabPosition::tpLeft:
      return TRect{page.left - 2, page.top, page.left, page.bottom};
    case TcxTabPosition::tpRight:
      return TRect{page.right, page.top, page.right + 2, page.bottom};
    default:
      return TRect{page.left, page.top - 2, page.right, page.top};
  }
}

TRect TcxPCExtraFlatPainter::GetTabRowRect(int AIndex, bool AWholeRow)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  const TcxTabPosition position = tab->PaintingPosition();
  if (AWholeRow || !tab->IsMainTab())
    return GrowTabRect(tab->GetNormalRect(), position, 0, GetHeaderButtonsExcess() + 3, 0, GetBandLineCount());
  return GrowTabRect(tab->GetFullRect(), position, 1, 1, 1, 0);
}

int TcxPCExtraFlatPainter::GetPageRow()
{
  const int main = FViewInfo->GetMainTabVisibleIndex();
  if (main >= 0)
    return GetTabViewInfo(main)->GetVisibleRow();
  const TcxTabPosition position = FViewInfo->TabPosition();
  return IsTopOrLeft(position) ? FViewInfo->GetRowCount() - 1 : 0;
}

TRect TcxPCExtraFlatPainter::GetRowRect(int ARow)
{
  TcxPCLineIndexBoundsArray lines;
  FViewInfo->InitializeLineBoundsArray(lines);
  if (ARow < 0 || ARow >= static_cast<int>(lines.size()) || lines[ARow].Left < 0)
    return TRect{};
  TRect R = GetTabRowRect(lines[ARow].Left, true);
  // Over the whole length of the control.
  const TRect bounds = FViewInfo->GetControlBounds();
  const int inset = IsPageEdgeBandDrawn() ? 1 : 0;
  if (IsHorizontal(GetTabViewInfo(lines[ARow].Left)->PaintingPosition())) {
    R.left = bounds.left + inset;
    R.right = bounds.right - inset;
  } else {
    R.top = bounds.top + inset;
    R.bottom = bounds.bottom - inset;
  }
  return R;
}

TRect TcxPCExtraFlatPainter::GetFocusCueRect(int AIndex)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  const TRect R = tab->GetFullRect();
  switch (tab->PaintingPosition()) {
    case TcxTabPosition::tpBottom:
      return TRect{R.left + 1, R.top - 1, R.right - 1, R.bottom - 1};
    case TcxTabPosition::tpLeft:
      return TRect{R.left, R.top, R.right + 1, R.bottom - 1};
    case TcxTabPosition::tpRight:
      return TRect{R.left - 1, R.top + 1, R.right - 1, R.bottom - 1};
    default:
      return TRect{R.left, R.top, R.right - 1, R.bottom + 1};
  }
}

vcl::TColor TcxPCExtraFlatPainter::GetBandLineColor(int, int AIndex)
{
  if (AIndex < 2)
    return vcl::clBtnFace;
  return IsTopOrLeft(FViewInfo->TabPosition()) ? vcl::clWhite : vcl::clBlack;
}

// ---------------------------------------------------------------------------
// TcxPCExtraFlatPainter: drawing

void TcxPCExtraFlatPainter::PaintPageClientArea(TcxCanvas* ACanvas)
{
  ACanvas->FillRect(GetPageEdgeRect(), GetPageEdgeColor());
  inherited::PaintPageClientArea(ACanvas);
}

void TcxPCExtraFlatPainter::DrawFrame(TcxCanvas* ACanvas)
{
  const TRect R = GetPageFrameRect();
  if (IsEmptyFlatRect(R))
    return;
  TcxBorders borders = cxBordersAll;
  // The side toward the tabs stays open.
  if (FViewInfo->IsTabsVisible()) {
    static constexpr TcxBorder tabSides[] = {TcxBorder::bTop, TcxBorder::bBottom, TcxBorder::bLeft, TcxBorder::bRight};
    borders.Exclude(tabSides[static_cast<int>(FViewInfo->TabPosition())]);
  }
  DrawPageFrameLines(ACanvas, R, borders);
}

void TcxPCExtraFlatPainter::DrawPageFrameLines(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders)
{
  ACanvas->DrawComplexFrame(R, vcl::clBtnHighlight, vcl::clBtnShadow, ABorders);
}

void TcxPCExtraFlatPainter::DrawTabFrame(TcxCanvas* ACanvas, int AIndex, const TRect&)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  TRect R = tab->GetFullRect();
  const int L = R.left, T = R.top, Rt = R.right, B = R.bottom;
  if (tab->IsMainTab()) {
    const vcl::TColor light = GetOutlineColor(true);
    const vcl::TColor dark = GetOutlineColor(false);
    // Each line runs along the whole side left, then the side gives way.
    auto line = [&](TcxBorder ASide, vcl::TColor AColor) {
      switch (ASide) {
        case TcxBorder::bLeft:
          ACanvas->FillRect(TRect{R.left, R.top, R.left + 1, R.bottom}, AColor);
          ++R.left;
          break;
        case TcxBorder::bTop:
          ACanvas->FillRect(TRect{R.left, R.top, R.right, R.top + 1}, AColor);
          ++R.top;
          break;
        case TcxBorder::bRight:
          ACanvas->FillRect(TRect{R.right - 1, R.top, R.right, R.bottom}, AColor);
          --R.right;
          break;
        case TcxBorder::bBottom:
          ACanvas->FillRect(TRect{R.left, R.bottom - 1, R.right, R.bottom}, AColor);
          --R.bottom;
          break;
      }
    };
    const bool rtl = FViewInfo->UseRightToLeftAlignment();
    switch (tab->PaintingPosition()) {
      case TcxTabPosition::tpTop:
        line(TcxBorder::bLeft, rtl ? dark : light);
        line(TcxBorder::bTop, light);
        line(TcxBorder::bRight, rtl ? light : dark);
        break;
      case TcxTabPosition::tpBottom:
        line(TcxBorder::bLeft, rtl ? dark : light);
        line(TcxBorder::bBottom, dark);
        line(TcxBorder::bRight, rtl ? light : dark);
        if (rtl) {
          ACanvas->SetPixel(Rt - 1, T, dark);
          ACanvas->SetPixel(Rt - 1, B - 1, light);
        } else {
          ACanvas->SetPixel(L, T, dark);
        }
        break;
      case TcxTabPosition::tpLeft:
        line(TcxBorder::bTop, light);
        line(TcxBorder::bLeft, light);
        line(TcxBorder::bBottom, dark);
        break;
      case TcxTabPosition::tpRight:
        line(TcxBorder::bTop, light);
        line(TcxBorder::bRight, dark);
        line(TcxBorder::bBottom, dark);
        ACanvas->SetPixel(L, T, dark);
        break;
    }
  }
  if (IsTabFaceTransparent(AIndex))
    return;
  if (!tab->IsMainTab()) {
    ACanvas->FrameRect(R, GetRowBackgroundColor());
    InflateRect(&R, -1, -1);
  }
  FillTabFace(ACanvas, R, AIndex, GetTabColor(AIndex));
}

void TcxPCExtraFlatPainter::DrawTabFocusRect(TcxCanvas* ACanvas, int AIndex)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  if (!tab->IsFocused() || !FViewInfo->GetOwner()->GetControlFocused())
    return;
  ACanvas->GetFont()->SetColor(vcl::clBtnText);
  ACanvas->DrawFocusRect(GetFocusCueRect(AIndex));
}

void TcxPCExtraFlatPainter::DrawSeparator(TcxCanvas* ACanvas, const TRect& R)
{
  ACanvas->FillRect(R, vcl::clBtnShadow);
}

void TcxPCExtraFlatPainter::FillRowBackground(TcxCanvas* ACanvas, const TRect& R)
{
  ACanvas->FillRect(R, GetRowBackgroundColor());
}

void TcxPCExtraFlatPainter::DrawTabs(TcxCanvas* ACanvas)
{
  TcxPCLineIndexBoundsArray lines;
  FViewInfo->InitializeLineBoundsArray(lines);
  const bool rtl = FViewInfo->UseRightToLeftAlignment();
  for (int row = 0; row < static_cast<int>(lines.size()); ++row) {
    if (lines[row].Left < 0)
      continue;
    ACanvas->SaveClipRegion();
    for (int i = lines[row].Left; i <= lines[row].Right; ++i) {
      TcxTabViewInfo* tab = GetTabViewInfo(i);
      if (!tab->ActuallyVisible())
        continue;
      DrawTab(ACanvas, i);
      if (i == lines[row].Right || tab->IsMainTab() || GetTabViewInfo(i + 1)->IsMainTab())
        continue;
      // A separator in the gap after the tab, short of the row's edges.
      const TcxTabPosition position = tab->PaintingPosition();
      const TRect full = tab->GetFullRect();
      const int thickness = GetSeparatorThickness();
      const TPoint offsets = GetSeparatorOffsets();
      TRect separator = GrowTabRect(full, position, 0, -offsets.x, 0, -offsets.y);
      if (IsHorizontal(position)) {
        separator.left = rtl ? full.left - thickness : full.right;
        separator.right = separator.left + thickness;
      } else {
        separator.top = full.bottom;
        separator.bottom = full.bottom + thickness;
      }
      DrawSeparator(ACanvas, separator);
      ACanvas->ExcludeClipRect(separator);
    }
    // The band under the row: its lines toward the page, the rest the row's
    // background.
    const TRect rowRect = GetRowRect(row);
    const TcxTabPosition position = GetTabViewInfo(lines[row].Left)->PaintingPosition();
    for (int k = 0; k < GetBandLineCount(); ++k) {
      const TRect line = PageSideLine(rowRect, position, k);
      ACanvas->FillRect(line, GetBandLineColor(row, k));
      ACanvas->ExcludeClipRect(line);
    }
    FillRowBackground(ACanvas, rowRect);
    ACanvas->RestoreClipRegion();
    ACanvas->ExcludeClipRect(rowRect);
  }
}

void TcxPCExtraFlatPainter::FillButton(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButtonState AState)
{
  const bool lit = AState == TcxPCNavigatorButtonState::nbsPressed || AState == TcxPCNavigatorButtonState::nbsHotTrack;
  ACanvas->FillRect(R, lit ? vcl::clBtnFace : GetRowBackgroundColor());
}

void TcxPCExtraFlatPainter::DrawHeaderButtonFace(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButtonState AState)
{
  const bool pressed = AState == TcxPCNavigatorButtonState::nbsPressed;
  TRect rect = R;
  if (pressed || AState == TcxPCNavigatorButtonState::nbsHotTrack) {
    ACanvas->DrawComplexFrame(rect, pressed ? vcl::cl3DDkShadow : vcl::cl3DLight,
                              pressed ? vcl::cl3DLight : vcl::cl3DDkShadow);
    InflateRect(&rect, -1, -1);
  }
  FillButton(ACanvas, rect, AState);
}

void TcxPCExtraFlatPainter::DrawNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButton AKind,
                                                TcxPCNavigatorButtonState AState)
{
  const bool pressed = AState == TcxPCNavigatorButtonState::nbsPressed;
  DrawHeaderButtonFace(ACanvas, R, AState);
  const bool enabled = FViewInfo->GetOwner()->GetControlEnabled() && AState != TcxPCNavigatorButtonState::nbsDisabled;
  const vcl::TColor color = !enabled ? vcl::clBtnShadow : pressed ? vcl::clBtnHighlight : vcl::clBtnText;
  DrawNavigatorGlyph(ACanvas, R, AKind, pressed, enabled, color, false, cxPCLightBrushColor());
}

void TcxPCExtraFlatPainter::RepaintTab(int AIndex, int ACode)
{
  inherited::RepaintTab(AIndex, ACode);
  if (GetTabViewInfo(AIndex)->IsMainTab())
    FViewInfo->Invalidate(GetPageEdgeRect());
}

// ---------------------------------------------------------------------------
// TcxPCUltraFlatPainter

bool TcxPCUltraFlatPainter::HasLookAndFeel(TcxLookAndFeel* ALookAndFeel) const
{
  return IsLookAndFeelStyle(ALookAndFeel, TcxLookAndFeelStyle::lfsUltraFlat);
}

int TcxPCUltraFlatPainter::GetHeaderButtonHeightBase()
{
  return Scaled(15);
}

int TcxPCUltraFlatPainter::GetHeaderButtonWidthBase(TcxPCNavigatorButton AButton)
{
  switch (AButton) {
    case TcxPCNavigatorButton::nbGoDialog:
      return Scaled(11);
    case TcxPCNavigatorButton::nbClose:
      return Scaled(14);
    default:
      return Scaled(15);
  }
}

int TcxPCUltraFlatPainter::GetHeaderButtonsDistance(TcxPCNavigatorButton AButton1, TcxPCNavigatorButton AButton2)
{
  const bool close = AButton1 == TcxPCNavigatorButton::nbClose || AButton2 == TcxPCNavigatorButton::nbClose;
  return Scaled(close ? 3 : 1);
}

int TcxPCUltraFlatPainter::GetNavigatorOffsetAcross()
{
  return Scaled(3);
}

TRect TcxPCUltraFlatPainter::GetFocusCueRect(int AIndex)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  const TRect offsets = RotateTabRect(TRect{Scaled(1), Scaled(1), Scaled(1), 0}, tab->PaintingPosition());
  const TRect R = tab->GetFullRect();
  return TRect{R.left + offsets.left, R.top + offsets.top, R.right - offsets.right, R.bottom - offsets.bottom};
}

vcl::TColor TcxPCUltraFlatPainter::GetBandLineColor(int ARow, int AIndex)
{
  // The row of the page shows its dark line next to the page, the others
  // in the middle.
  const int darkLine = ARow == GetPageRow() ? 2 : 1;
  return AIndex == darkLine ? vcl::clBlack : vcl::clBtnFace;
}

void TcxPCUltraFlatPainter::DrawPageFrameLines(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders)
{
  ACanvas->DrawComplexFrame(R, vcl::clBtnShadow, vcl::clBtnShadow, ABorders);
}

void TcxPCUltraFlatPainter::FillButton(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButtonState AState)
{
  vcl::TColor color = cxPCLightBrushColor();
  if (AState == TcxPCNavigatorButtonState::nbsHotTrack)
    color = vcl::clBtnFace;
  else if (AState == TcxPCNavigatorButtonState::nbsPressed)
    color = vcl::clBtnShadow;
  ACanvas->FillRect(R, color);
}

vcl::TColor TcxPCUltraFlatPainter::GetButtonFrameColor(TcxPCNavigatorButtonState AState)
{
  const bool lit = AState == TcxPCNavigatorButtonState::nbsPressed || AState == TcxPCNavigatorButtonState::nbsHotTrack;
  return lit ? vcl::clBlack : vcl::clBtnShadow;
}

vcl::TColor TcxPCUltraFlatPainter::GetButtonGlyphColor(TcxPCNavigatorButtonState AState)
{
  if (!FViewInfo->GetOwner()->GetControlEnabled() || AState == TcxPCNavigatorButtonState::nbsDisabled)
    return vcl::clBtnShadow;
  return AState == TcxPCNavigatorButtonState::nbsPressed ? vcl::clBtnHighlight : vcl::clBtnText;
}

void TcxPCUltraFlatPainter::DrawHeaderButtonFace(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButtonState AState)
{
  TRect rect = R;
  ACanvas->FrameRect(rect, GetButtonFrameColor(AState));
  InflateRect(&rect, -1, -1);
  FillButton(ACanvas, rect, AState);
}

void TcxPCUltraFlatPainter::DrawNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButton AKind,
                                                TcxPCNavigatorButtonState AState)
{
  DrawHeaderButtonFace(ACanvas, R, AState);
  const bool controlEnabled = FViewInfo->GetOwner()->GetControlEnabled();
  const bool enabled = controlEnabled && AState != TcxPCNavigatorButtonState::nbsDisabled;
  // Embossed only with the whole control disabled.
  DrawNavigatorGlyph(ACanvas, R, AKind, AState == TcxPCNavigatorButtonState::nbsPressed, enabled,
                     GetButtonGlyphColor(AState), !controlEnabled);
}

// ---------------------------------------------------------------------------
// TcxPCOffice11Painter

void TcxPCOffice11Painter::Create(TcxCustomTabControlViewInfo* AViewInfo)
{
  inherited::Create(AViewInfo);
  // The factory's instance draws nothing and needs no palette.
  if (AViewInfo)
    dxOffice11AddColorsRef();
}

void TcxPCOffice11Painter::Destroy()
{
  if (FViewInfo)
    dxOffice11ReleaseColors();
  inherited::Destroy();
}

bool TcxPCOffice11Painter::HasLookAndFeel(TcxLookAndFeel* ALookAndFeel) const
{
  return !ALookAndFeel->GetSkinPainter() && IsLookAndFeelStyle(ALookAndFeel, TcxLookAndFeelStyle::lfsOffice11);
}

TcxCustomLookAndFeelPainter* TcxPCOffice11Painter::GetLookAndFeelPainter()
{
  return cxLookAndFeelPaintersManager()->GetPainter(TcxLookAndFeelStyle::lfsOffice11);
}

vcl::TColor TcxPCOffice11Painter::GetFrameColor()
{
  return dxOffice11SelectedBorderColor;
}

bool TcxPCOffice11Painter::IsGradient()
{
  return FViewInfo->Properties()->GetOptions().Contains(TcxPCOption::pcoGradient);
}

void TcxPCOffice11Painter::FillGradient(TcxCanvas* ACanvas, const TRect& R, vcl::TColor AColor1, vcl::TColor AColor2)
{
  if (!IsGradient()) {
    ACanvas->FillRect(R, cxBlendColors(AColor1, AColor2, 50));
    return;
  }
  cxGradientFillRect(ACanvas->GetHandle(), R, AColor1, !FViewInfo->IsTopOrBottom(), AColor2);
}

bool TcxPCOffice11Painter::HasFarSideLine()
{
  return !HasFrame() && FViewInfo->IsTabsVisible() && FViewInfo->IsTabsOnBothSides();
}

void TcxPCOffice11Painter::GetPageClientRectOffset(TRect& AOffsets)
{
  inherited::GetPageClientRectOffset(AOffsets);
  // Without a frame the page meets the far tabs directly: a line in the
  // frame colour keeps them apart.
  if (HasFarSideLine())
    ++AOffsets.bottom;
}

void TcxPCOffice11Painter::DrawFarSideLine(TcxCanvas* ACanvas)
{
  const TRect page = GetPageClientRect();
  if (!HasFarSideLine() || IsEmptyFlatRect(page))
    return;
  TRect line = page;
  switch (FViewInfo->TabPosition()) {
    case TcxTabPosition::tpTop:
      line = TRect{page.left, page.bottom, page.right, page.bottom + 1};
      break;
    case TcxTabPosition::tpBottom:
      line = TRect{page.left, page.top - 1, page.right, page.top};
      break;
    case TcxTabPosition::tpLeft:
      line = TRect{page.right, page.top, page.right + 1, page.bottom};
      break;
    case TcxTabPosition::tpRight:
      line = TRect{page.left - 1, page.top, page.left, page.bottom};
      break;
  }
  ACanvas->FillRect(line, GetFrameColor());
  ACanvas->ExcludeClipRect(line);
}

vcl::TColor TcxPCOffice11Painter::GetPageColor()
{
  return cxBlendColors(dxOffice11BarColor1, dxOffice11BarColor2, 50);
}

bool TcxPCOffice11Painter::IsTabFaceTransparent(int AIndex)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  return !tab->IsMainTab() && GetTabOwnColor(AIndex) == vcl::clDefault && !tab->IsHighlighted();
}

void TcxPCOffice11Painter::FillTabFace(TcxCanvas* ACanvas, const TRect& R, int AIndex, vcl::TColor AColor)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  const TcxTabPosition position = tab->PaintingPosition();
  if (GetTabOwnColor(AIndex) == vcl::clDefault && !tab->IsHighlighted()) {
    // The gradient spans the tab's part of the row, so neighbours match.
    ACanvas->SaveClipRegion();
    ACanvas->IntersectClipRect(R);
    if (tab->IsMainTab())
      FillGradient(ACanvas, GetTabRowRect(AIndex, false), dxOffice11SelectedColor1, dxOffice11SelectedColor2);
    else
      FillGradient(ACanvas, GetTabRowRect(AIndex, false), dxOffice11BarColor1, dxOffice11BarColor2);
    ACanvas->RestoreClipRegion();
    return;
  }
  ACanvas->FillRect(R, AColor);
  if (!tab->IsMainTab())
    ACanvas->FillRect(PageSideLine(tab->GetFullRect(), position, 0),
                      IsTopOrLeft(position) ? dxOffice11BarColor2 : dxOffice11BarColor1);
}

void TcxPCOffice11Painter::PaintPageClientArea(TcxCanvas* ACanvas)
{
  DrawFarSideLine(ACanvas);
  const TcxPCOptions options = FViewInfo->Properties()->GetOptions();
  if (!options.Contains(TcxPCOption::pcoGradient) || !options.Contains(TcxPCOption::pcoGradientClientArea)) {
    inherited::PaintPageClientArea(ACanvas);
    return;
  }
  ACanvas->FillRect(GetPageEdgeRect(), GetPageEdgeColor());
  const TRect page = GetPageClientRect();
  FillGradient(ACanvas, page, dxOffice11DockColor1, dxOffice11DockColor2);
  ACanvas->ExcludeClipRect(page);
}

void TcxPCOffice11Painter::DrawFrame(TcxCanvas* ACanvas)
{
  TRect R = GetPageClientRect();
  if (IsEmptyFlatRect(R))
    return;
  const int width = GetFrameWidth();
  InflateRect(&R, width, width);
  ACanvas->FrameRect(R, GetFrameColor(), width);
}

vcl::TColor TcxPCOffice11Painter::GetPageEdgeColor()
{
  const int main = FViewInfo->GetMainTabVisibleIndex();
  if (main >= 0 && GetTabOwnColor(main) != vcl::clDefault)
    return GetTabOwnColor(main);
  if (!IsGradient())
    return cxBlendColors(dxOffice11SelectedColor1, dxOffice11SelectedColor2, 50);
  return IsTopOrLeft(FViewInfo->TabPosition()) ? dxOffice11SelectedColor2 : dxOffice11SelectedColor1;
}

TPoint TcxPCOffice11Painter::GetSeparatorOffsets()
{
  return IsTopOrLeft(FViewInfo->TabPosition()) ? TPoint{0, 2} : TPoint{3, -1};
}

void TcxPCOffice11Painter::DrawSeparator(TcxCanvas* ACanvas, const TRect& R)
{
  // The two fills leave two corners of the rectangle to the row.
  FillRowBackground(ACanvas, R);
  ACanvas->FillRect(TRect{R.left, R.top, R.right - 1, R.bottom - 1}, dxOffice11SeparatorColor);
  ACanvas->FillRect(TRect{R.left + 1, R.top + 1, R.right, R.bottom}, dxOffice11SeparatorLightColor);
}

void TcxPCOffice11Painter::FillButton(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButtonState AState)
{
  if (AState != TcxPCNavigatorButtonState::nbsHotTrack && AState != TcxPCNavigatorButtonState::nbsPressed) {
    ACanvas->FillRect(R, GetRowBackgroundColor());
    return;
  }
  // Over the first row, clipped to the button, so the fill matches the
  // tabs.
  TRect row = GetRowRect(0);
  if (IsEmptyFlatRect(row))
    row = R;
  ACanvas->SaveClipRegion();
  ACanvas->IntersectClipRect(R);
  if (AState == TcxPCNavigatorButtonState::nbsHotTrack)
    FillGradient(ACanvas, row, dxOffice11SelectedColor1, dxOffice11SelectedColor2);
  else
    FillGradient(ACanvas, row, dxOffice11PressedColor1, dxOffice11PressedColor2);
  ACanvas->RestoreClipRegion();
}

vcl::TColor TcxPCOffice11Painter::GetButtonFrameColor(TcxPCNavigatorButtonState AState)
{
  if (!FViewInfo->GetOwner()->GetControlEnabled() || AState == TcxPCNavigatorButtonState::nbsDisabled)
    return dxOffice11DisabledTextColor;
  return GetFrameColor();
}

vcl::TColor TcxPCOffice11Painter::GetButtonGlyphColor(TcxPCNavigatorButtonState AState)
{
  return AState == TcxPCNavigatorButtonState::nbsDisabled ? dxOffice11DisabledTextColor : dxOffice11TextColor;
}

// ---------------------------------------------------------------------------
// TcxPCFlatPainter

bool TcxPCFlatPainter::HasLookAndFeel(TcxLookAndFeel* ALookAndFeel) const
{
  return IsLookAndFeelStyle(ALookAndFeel, TcxLookAndFeelStyle::lfsFlat);
}

int TcxPCFlatPainter::GetHeaderButtonHeightBase()
{
  return inherited::GetHeaderButtonHeightBase() - Scaled(2);
}

int TcxPCFlatPainter::GetHeaderButtonWidthBase(TcxPCNavigatorButton AButton)
{
  return inherited::GetHeaderButtonWidthBase(AButton) - Scaled(2);
}

TcxCustomLookAndFeelPainter* TcxPCFlatPainter::GetLookAndFeelPainter()
{
  return cxLookAndFeelPaintersManager()->GetPainter(TcxLookAndFeelStyle::lfsFlat);
}

TRect TcxPCFlatPainter::GetTabClipRect(int AIndex)
{
  return GetTabViewInfo(AIndex)->GetVisibleRect();
}

void TcxPCFlatPainter::DrawFrame(TcxCanvas* ACanvas)
{
  const TRect R = GetPageFrameRect();
  if (!IsEmptyFlatRect(R))
    ACanvas->DrawComplexFrame(R, vcl::clBtnHighlight, vcl::clBtnShadow);
}

void TcxPCFlatPainter::DrawHeaderButtonFace(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButtonState AState)
{
  const bool pressed = AState == TcxPCNavigatorButtonState::nbsPressed;
  TRect rect = R;
  ACanvas->DrawComplexFrame(rect, pressed ? vcl::clBtnShadow : vcl::clBtnHighlight,
                            pressed ? vcl::clBtnHighlight : vcl::clBtnShadow);
  InflateRect(&rect, -1, -1);
  ACanvas->FillRect(rect, GetButtonColor());
}

void TcxPCFlatPainter::DrawNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButton AKind,
                                           TcxPCNavigatorButtonState AState)
{
  const bool pressed = AState == TcxPCNavigatorButtonState::nbsPressed;
  DrawHeaderButtonFace(ACanvas, R, AState);
  const bool enabled = FViewInfo->GetOwner()->GetControlEnabled() && AState != TcxPCNavigatorButtonState::nbsDisabled;
  const vcl::TColor color = AState == TcxPCNavigatorButtonState::nbsHotTrack
                                ? static_cast<vcl::TColor>(GetSysColor(COLOR_HOTLIGHT))
                                : vcl::clBtnText;
  DrawNavigatorGlyph(ACanvas, R, AKind, pressed, enabled, color);
}

void TcxPCFlatPainter::DrawTabFrame(TcxCanvas* ACanvas, int AIndex, const TRect& ABitmapRect)
{
  DrawClassicTabFace(ACanvas, AIndex, ABitmapRect);
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  const TRect full = tab->GetFullRect();
  const vcl::TColor light = BrightenColor(GetTabColor(AIndex));
  const int L = full.left, T = full.top, R = full.right, B = full.bottom;
  switch (tab->PaintingPosition()) {
    case TcxTabPosition::tpTop:
      DrawFlatPolyline(ACanvas, {P{L, B - 1}, P{L, T + 2}, P{L + 2, T}, P{R - 3, T}, P{R - 2, T + 1}},
                       vcl::clBtnHighlight);
      DrawFlatPolyline(ACanvas, {P{R - 1, T + 2}, P{R - 1, B - 1}}, vcl::clBtnShadow);
      DrawFlatPolyline(ACanvas,
                       {P{L + 1, B - 1}, P{L + 1, T + 2}, P{L + 2, T + 1}, P{R - 3, T + 1}, P{R - 2, T + 2},
                        P{R - 2, B - 1}},
                       light);
      break;
    case TcxTabPosition::tpBottom:
      DrawFlatPolyline(ACanvas, {P{L, T}, P{L, B - 3}, P{L + 1, B - 2}}, vcl::clBtnHighlight);
      DrawFlatPolyline(ACanvas, {P{L + 2, B - 1}, P{R - 3, B - 1}, P{R - 1, B - 3}, P{R - 1, T}}, vcl::clBtnShadow);
      DrawFlatPolyline(ACanvas, {P{L + 1, T}, P{L + 1, B - 3}}, light);
      DrawFlatPolyline(ACanvas, {P{L + 2, B - 2}, P{R - 3, B - 2}, P{R - 2, B - 3}, P{R - 2, T}}, vcl::clBtnFace);
      break;
    case TcxTabPosition::tpLeft:
      DrawFlatPolyline(ACanvas, {P{R - 1, B - 1}, P{L + 2, B - 1}}, vcl::clBtnShadow);
      DrawFlatPolyline(ACanvas, {P{L + 1, B - 2}, P{L, B - 3}, P{L, T + 2}, P{L + 2, T}, P{R - 1, T}},
                       vcl::clBtnHighlight);
      DrawFlatPolyline(ACanvas,
                       {P{R - 1, B - 2}, P{L + 2, B - 2}, P{L + 1, B - 3}, P{L + 1, T + 2}, P{L + 2, T + 1},
                        P{R - 1, T + 1}},
                       light);
      break;
    case TcxTabPosition::tpRight:
      DrawFlatPolyline(ACanvas, {P{L, T}, P{R - 3, T}, P{R - 2, T + 1}}, vcl::clBtnHighlight);
      DrawFlatPolyline(ACanvas, {P{R - 1, T + 2}, P{R - 1, B - 3}, P{R - 3, B - 1}, P{L, B - 1}}, vcl::clBtnShadow);
      DrawFlatPolyline(ACanvas, {P{L, T + 1}, P{R - 3, T + 1}}, light);
      DrawFlatPolyline(ACanvas, {P{R - 2, T + 2}, P{R - 2, B - 3}, P{R - 3, B - 2}, P{L, B - 2}}, vcl::clBtnFace);
      break;
  }
  DrawCorners(ACanvas, AIndex, full);
}
