// TcxPCSlantedPainter: tabs as polygons with cut or slanted ends that
// overlap their neighbours, the selected tab on top.
#include <algorithm>
#include <array>
#include <vector>

#include "core/cxGeometry.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsColors.h"
#include "graphics/cxGraphicsDraw.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "pagecontrol/cxPCPainters.h"

namespace {

using P = TPoint;

// The cut of a cut corner, and of a slanted end before the row height is
// known.
constexpr int SlantedCornerCut = 6;
constexpr int SlantedRowsDistance = -3;

bool IsSlantedEmptyRect(const TRect& R)
{
  return R.right <= R.left || R.bottom <= R.top;
}

// The step one pixel further along a segment of that line position.
TPoint LinePositionStep(TLinePosition APosition)
{
  static constexpr TPoint steps[] = {{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}};
  return steps[static_cast<int>(APosition)];
}

// The line position a segment told for tabs on top has once mirrored to the
// painting position.
TLinePosition MirrorLinePosition(TLinePosition ALine, TcxTabPosition APosition)
{
  using L = TLinePosition;
  // Columns lpL, lpLT, lpT, lpRT, lpR; rows by painting position.
  static constexpr L table[4][5] = {{L::lpL, L::lpLT, L::lpT, L::lpRT, L::lpR},
                                    {L::lpL, L::lpLB, L::lpB, L::lpRB, L::lpR},
                                    {L::lpB, L::lpLB, L::lpL, L::lpLT, L::lpT},
                                    {L::lpB, L::lpRB, L::lpR, L::lpRT, L::lpT}};
  const int column = static_cast<int>(ALine);
  return column <= static_cast<int>(L::lpR) ? table[static_cast<int>(APosition)][column] : ALine;
}

// The HSV value raised by APercent, at most 1.
vcl::TColor BrightenColor(vcl::TColor AColor, int APercent)
{
  TdxHSV hsv = cxColorToHSV(AColor);
  hsv.V = std::min(1.0, hsv.V * (100 + APercent) / 100);
  return cxHSVToColor(hsv);
}

void DrawSlantedPolyline(TcxCanvas* ACanvas, const std::vector<TPoint>& APoints, vcl::TColor AColor)
{
  if (APoints.empty())
    return;
  ACanvas->GetPen()->SetColor(AColor);
  ACanvas->GetPen()->SetWidth(1);
  ACanvas->Polyline(APoints);
  ACanvas->SetPixel(APoints.back().x, APoints.back().y, AColor);
}

}  // namespace

// ---------------------------------------------------------------------------
// Outline and figure

TcxPCTabOutline cxPCSlantedTabOutline(int L, int B, int W, int H, TcxTabSlantKind AKind,
                                      TcxTabSlantPositions APositions, bool ARotated)
{
  using LP = TLinePosition;
  const bool slant = AKind == TcxTabSlantKind::skSlant;
  const bool cut = AKind == TcxTabSlantKind::skCutCorner;
  const bool left = APositions.Contains(TcxTabSlantPosition::spLeft);
  const bool right = APositions.Contains(TcxTabSlantPosition::spRight);
  const int c = SlantedCornerCut;
  TcxPCTabOutline result;
  if (slant && left && !ARotated)
    result = {{P{L, B - 1}, P{L + H - 1, B - H}}, {LP::lpLT}};
  else if (cut && left)
    result = {{P{L, B - 1}, P{L, B + c - H}, P{L + c, B - H}}, {LP::lpL, LP::lpLT}};
  else if (cut && !APositions.Empty())
    result = {{P{L, B - 1}, P{L, B - H}}, {LP::lpL}};
  else
    result = {{P{L, B - 1}, P{L, B + 2 - H}, P{L + 2, B - H}}, {LP::lpL, LP::lpLT}};

  auto append = [&](std::initializer_list<TPoint> APoints, std::initializer_list<LP> ALines) {
    result.Points.insert(result.Points.end(), APoints);
    result.Lines.insert(result.Lines.end(), ALines);
  };
  if (slant && right && !ARotated)
    append({P{L + W - H, B - H}, P{L + W - 1, B - 1}}, {LP::lpT, LP::lpRT});
  else if (cut && right)
    append({P{L + W - c - 1, B - H}, P{L + W - 1, B + c - H}, P{L + W - 1, B - 1}}, {LP::lpT, LP::lpRT, LP::lpR});
  else if (cut && !APositions.Empty())
    append({P{L + W - 1, B - H}, P{L + W - 1, B - 1}}, {LP::lpT, LP::lpR});
  else
    append({P{L + W - 3, B - H}, P{L + W - 1, B + 2 - H}, P{L + W - 1, B - 1}}, {LP::lpT, LP::lpRT, LP::lpR});
  return result;
}

std::vector<TPoint> cxPCFigureRegionPoints(const TcxPCTabOutline& AOutline, const TRect& R,
                                           TcxTabPosition APosition, bool AIncludeOutline)
{
  using LP = TLinePosition;
  std::vector<TPoint> points;
  for (const TPoint& point : AOutline.Points)
    points.push_back(MirrorTabPoint(point, R, APosition));
  std::vector<LP> lines = AOutline.Lines;
  if (APosition == TcxTabPosition::tpBottom || APosition == TcxTabPosition::tpRight) {
    std::reverse(points.begin(), points.end());
    std::reverse(lines.begin(), lines.end());
  }
  for (LP& line : lines)
    line = MirrorLinePosition(line, APosition);
  if (points.size() < 2 || lines.size() + 1 != points.size())
    return points;

  // GDI leaves the right and bottom edges out of a polygon: the last point
  // goes one pixel on, and the segments move by a pixel where the outline
  // pixels must stay out of the figure or come into it.
  const TPoint last = LinePositionStep(lines.back());
  points.back().x += last.x;
  points.back().y += last.y;
  if (APosition == TcxTabPosition::tpLeft && lines.front() == LP::lpLB) {
    ++points.front().x;
    ++points.front().y;
  }
  auto has = [&](LP ALine) { return std::find(lines.begin(), lines.end(), ALine) != lines.end(); };
  for (std::size_t i = 0; i < lines.size(); ++i) {
    TPoint& start = points[i];
    TPoint& end = points[i + 1];
    if (!AIncludeOutline) {
      switch (lines[i]) {
        case LP::lpL:
          ++start.x;
          ++end.x;
          if (has(LP::lpLB))
            ++start.y;
          if (has(LP::lpLT))
            --end.y;
          break;
        case LP::lpLT:
          has(LP::lpL) ? ++start.y : ++start.x;
          has(LP::lpT) ? ++end.x : ++end.y;
          break;
        case LP::lpT:
          ++start.y;
          ++end.y;
          if (has(LP::lpLT))
            --start.x;
          if (has(LP::lpRT))
            ++end.x;
          break;
        case LP::lpLB:
          has(LP::lpB) ? ++start.x : --start.y;
          has(LP::lpL) ? --end.y : ++end.x;
          break;
        default:
          break;
      }
    } else {
      switch (lines[i]) {
        case LP::lpRT:
          has(LP::lpT) ? ++start.x : --start.y;
          has(LP::lpR) ? --end.y : ++end.x;
          break;
        case LP::lpR:
          ++start.x;
          ++end.x;
          if (has(LP::lpRT))
            ++start.y;
          if (has(LP::lpRB))
            --end.y;
          break;
        case LP::lpRB:
          has(LP::lpR) ? ++start.y : ++start.x;
          has(LP::lpB) ? ++end.x : ++end.y;
          break;
        case LP::lpB:
          ++start.y;
          ++end.y;
          if (has(LP::lpRB))
            --start.x;
          if (has(LP::lpLB))
            ++end.x;
          break;
        default:
          break;
      }
    }
  }
  return points;
}

// ---------------------------------------------------------------------------
// TcxPCSlantedPainter: derived values

bool TcxPCSlantedPainter::IsTabsContainer() const
{
  return FViewInfo->Properties()->GetIsTabsContainer();
}

TcxTabSlants* TcxPCSlantedPainter::Slants() const
{
  return FViewInfo->Properties()->GetTabSlants();
}

int TcxPCSlantedPainter::GetSlantSides()
{
  if (Slants()->GetKind() != TcxTabSlantKind::skSlant || FViewInfo->ActuallyRotate())
    return 0;
  const TcxTabSlantPositions positions = Slants()->GetPositions();
  return (positions.Contains(TcxTabSlantPosition::spLeft) ? 1 : 0) |
         (positions.Contains(TcxTabSlantPosition::spRight) ? 2 : 0);
}

int TcxPCSlantedPainter::GetCutSize()
{
  return Slants()->GetKind() == TcxTabSlantKind::skSlant ? FCutValue : SlantedCornerCut;
}

vcl::TColor TcxPCSlantedPainter::GetOutlineColor()
{
  return vcl::clBtnShadow;
}

int TcxPCSlantedPainter::GetMinimumWidth()
{
  if (FViewInfo->ActuallyRotate())
    return 0;
  const TcxTabSlantPositions positions = Slants()->GetPositions();
  if (positions.Empty())
    return 8;
  const int n = (positions.Contains(TcxTabSlantPosition::spLeft) ? 1 : 0) +
                (positions.Contains(TcxTabSlantPosition::spRight) ? 1 : 0);
  if (Slants()->GetKind() == TcxTabSlantKind::skSlant)
    return GetCutSize() * n - 2 * n + 8;
  return GetCutSize() * n + GetFrameWidth() * (2 - n) + 4;
}

void TcxPCSlantedPainter::PrepareCalculation()
{
  // A slanted end runs at 45 degrees over the whole row height.
  FTabNormalHeight = CalculateTabNormalHeight();
  FCutValue = Slants()->GetKind() == TcxTabSlantKind::skSlant ? FTabNormalHeight - 1 : SlantedCornerCut;
}

// ---------------------------------------------------------------------------
// TcxPCSlantedPainter: metrics

int TcxPCSlantedPainter::GetHeaderButtonHeightBase()
{
  return Scaled(17);
}

int TcxPCSlantedPainter::GetHeaderButtonWidthBase(TcxPCNavigatorButton AButton)
{
  switch (AButton) {
    case TcxPCNavigatorButton::nbGoDialog:
      return Scaled(13);
    case TcxPCNavigatorButton::nbClose:
      return Scaled(16);
    default:
      return Scaled(17);
  }
}

int TcxPCSlantedPainter::GetHeaderButtonsDistance(TcxPCNavigatorButton AButton1, TcxPCNavigatorButton AButton2)
{
  const bool close = AButton1 == TcxPCNavigatorButton::nbClose || AButton2 == TcxPCNavigatorButton::nbClose;
  return Scaled(close ? 3 : 1);
}

int TcxPCSlantedPainter::GetNavigatorToTabsDistance()
{
  return Scaled(1);
}

int TcxPCSlantedPainter::GetNavigatorOffsetAcross()
{
  return Scaled(IsTabsContainer() ? 2 : 1);
}

int TcxPCSlantedPainter::GetNavigatorOffsetAlong()
{
  return IsTabsContainer() ? Scaled(2) : 0;
}

TRect TcxPCSlantedPainter::GetTabImageOffsets(int)
{
  const int frame = GetFrameWidth();
  if (!FViewInfo->ActuallyRotate())
    return TRect{0, frame + 3, 0, 1};
  const bool cut = Slants()->GetKind() == TcxTabSlantKind::skCutCorner && !Slants()->GetPositions().Empty();
  const int offset = frame + (cut ? 2 : 1);
  return TRect{0, offset, 0, offset};
}

TRect TcxPCSlantedPainter::GetTabTextOffsets(int)
{
  const int frame = GetFrameWidth();
  if (!FViewInfo->ActuallyRotate())
    return TRect{0, frame + 4, 0, 1};
  return TRect{0, frame + 3, 0, frame + 1};
}

TPoint TcxPCSlantedPainter::GetTabContentOffsets(int AIndex)
{
  const int frame = GetFrameWidth();
  const TcxTabSlantPositions positions = Slants()->GetPositions();
  TPoint result;
  TcxRotationAngle angle;
  if (!FViewInfo->ActuallyRotate()) {
    result.x = positions.Contains(TcxTabSlantPosition::spLeft) ? GetCutSize() : frame + 2;
    result.y = positions.Contains(TcxTabSlantPosition::spRight) ? GetCutSize() : frame + 2;
    angle = FViewInfo->GetTextRotationAngle();
  } else {
    const bool cut = Slants()->GetKind() == TcxTabSlantKind::skCutCorner && !positions.Empty();
    result = TPoint{2, frame + (cut ? 6 : 5)};
    angle = AIndex >= 0 ? GetTabViewInfo(AIndex)->GetRelativeTextRotationAngle() : FViewInfo->GetTextRotationAngle();
  }
  if (angle == TcxRotationAngle::raMinus90)
    std::swap(result.x, result.y);
  return result;
}

TPoint TcxPCSlantedPainter::GetTooLongTextContentOffsets(int AIndex)
{
  return GetTabContentOffsets(AIndex);
}

TSize TcxPCSlantedPainter::GetTabsDistance()
{
  const int sides = GetSlantSides();
  const int count = (sides & 1) + ((sides & 2) >> 1);
  TSize result{count > 0 ? -(GetCutSize() / 2) * count : 1, SlantedRowsDistance};
  if (FViewInfo->ActuallyRotate())
    std::swap(result.cx, result.cy);
  return result;
}

int TcxPCSlantedPainter::GetContentHeight()
{
  const TRect text = GetTabTextOffsets(-1);
  int result = GetLargestTabTextHeight() + text.top + text.bottom;
  if (FViewInfo->HasImages()) {
    const TRect image = GetTabImageOffsets(-1);
    result = std::max(result, static_cast<int>(FViewInfo->GetTabImageSize().cy + image.top + image.bottom));
  }
  cxEnsureTouchExtent(result, ScaleFactor());
  return result;
}

int TcxPCSlantedPainter::GetWidthWithoutText(int AIndex)
{
  const TPoint content = GetTabContentOffsets(AIndex);
  int result = content.x + content.y;
  const bool hasImage = AIndex >= 0 && GetTabViewInfo(AIndex)->HasImage();
  if (FViewInfo->HasImages() && (AIndex == -1 || hasImage || FViewInfo->ActuallyRotate()))
    result += FViewInfo->GetTabImageSize().cx;
  return std::max(result, GetMinimumWidth());
}

int TcxPCSlantedPainter::GetMinTabWidth(int AIndex)
{
  return GetWidthWithoutText(AIndex);
}

int TcxPCSlantedPainter::CalculateTabNormalWidth(TcxTabViewInfo* ATabViewInfo)
{
  const int index = ATabViewInfo->GetVisibleIndex();
  int result = ATabViewInfo->GetDefinedWidth();
  if (result <= 0) {
    result = GetWidthWithoutText(index);
    if (ATabViewInfo->HasCaption()) {
      result += GetTabTextWidth(ATabViewInfo);
      if (ATabViewInfo->HasImage() || (FViewInfo->HasImages() && FViewInfo->ActuallyRotate()))
        result += GetTabImageAreaOffset();
    }
    ATabViewInfo->CorrectTabNormalWidth(result);
  }
  return std::max(result, GetMinTabWidth(index));
}

TRect TcxPCSlantedPainter::GetTabsAreaOffsets()
{
  const int sides = GetSlantSides();
  return TRect{sides & 1 ? 1 : 0, 0, sides & 2 ? 1 : 0, 0};
}

TRect TcxPCSlantedPainter::GetTabsContainerOffsets()
{
  if (!IsTabsContainer())
    return TRect{};
  const int sides = GetSlantSides();
  return TRect{sides & 1 ? Scaled(2) - 1 : 0, Scaled(2), sides & 2 ? Scaled(2) - 1 : 0, 0};
}

void TcxPCSlantedPainter::CalculateTabsPosition(TcxPCTabsPosition& ATabsPosition)
{
  const TRect bounds = FViewInfo->GetControlBounds();
  const bool topOrBottom = FViewInfo->IsTopOrBottom();
  const int along = topOrBottom ? bounds.right : bounds.bottom;
  const int across = topOrBottom ? bounds.bottom : bounds.right;
  const TRect area = GetTabsAreaOffsets();
  const TRect container = GetTabsContainerOffsets();
  // Taller header buttons than the style's own push the tabs away from the
  // control's edge.
  const int taller = std::max(FViewInfo->GetHeaderButtonHeight() - GetHeaderButtonHeight(), 0);
  TRect extended{area.left + container.left, area.top + container.top + taller, along - area.right - container.right,
                 across};
  const int navigatorLength = CalculateHeaderButtons();
  if (navigatorLength > 0) {
    const TcxPCNavigatorPosition position = FViewInfo->Properties()->GetNavigatorPosition();
    const bool atStart = topOrBottom ? position == TcxPCNavigatorPosition::npLeftTop ||
                                           position == TcxPCNavigatorPosition::npLeftBottom
                                     : position == TcxPCNavigatorPosition::npLeftTop ||
                                           position == TcxPCNavigatorPosition::npRightTop;
    if (atStart)
      extended.left = navigatorLength;
    else
      extended.right = along - navigatorLength;
  }
  NormalizeRectSize(extended);
  ATabsPosition.ExtendedTabsRect = ToTabPosition(extended);
  ATabsPosition.NormalTabsRect = ATabsPosition.ExtendedTabsRect;
  ATabsPosition.NormalRowWidth = extended.right - extended.left;
  ATabsPosition.ExtendedTopOrLeftTabsRectBottomOrRightBorderOffset = 0;
  ATabsPosition.ExtendedBottomOrRightTabsRectTopOrLeftBorderOffset = 0;
  const TSize distance = GetTabsDistance();
  ATabsPosition.MinDistanceBetweenTopOrLeftAndBottomOrRightExtendedTabsRects =
      FViewInfo->ActuallyRotate() ? distance.cx : distance.cy;
}

void TcxPCSlantedPainter::GetPageClientRectOffset(TRect& AOffsets)
{
  inherited::GetPageClientRectOffset(AOffsets);
  if (IsTabsContainer())
    AOffsets.top += Scaled(2);
  if (!HasFrame() && FViewInfo->IsTabsVisible()) {
    AOffsets.top += Scaled(1);
    if (FViewInfo->IsTabsOnBothSides())
      AOffsets.bottom += Scaled(1);
  }
}

TRect TcxPCSlantedPainter::GetPageClientRect()
{
  TRect R = inherited::GetPageClientRect();
  if (!IsTabsContainer() || IsSlantedEmptyRect(R))
    return R;
  // In a tab container the page keeps a gap toward the tabs.
  const int inset = Scaled(2);
  switch (FViewInfo->TabPosition()) {
    case TcxTabPosition::tpBottom:
      R.bottom -= inset;
      break;
    case TcxTabPosition::tpLeft:
      R.left += inset;
      break;
    case TcxTabPosition::tpRight:
      R.right -= inset;
      break;
    default:
      R.top += inset;
      break;
  }
  NormalizeRectSize(R);
  return R;
}

vcl::TColor TcxPCSlantedPainter::GetTabColor(int AIndex)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  if (tab->IsHighlighted())
    return vcl::clHighlight;
  if (cxIsColorAssigned(GetTabOwnColor(AIndex)))
    return GetTabOwnColor(AIndex);
  return IsTabsContainer() ? vcl::clBtnFace : GetControlColor();
}

// ---------------------------------------------------------------------------
// TcxPCSlantedPainter: regions and hit test

TRect TcxPCSlantedPainter::GetPageSideBand(const TRect& R, TcxTabPosition APosition) const
{
  switch (APosition) {
    case TcxTabPosition::tpBottom:
      return TRect{R.left, R.top - 1, R.right, R.top};
    case TcxTabPosition::tpLeft:
      return TRect{R.right, R.top, R.right + 1, R.bottom};
    case TcxTabPosition::tpRight:
      return TRect{R.left - 1, R.top, R.left, R.bottom};
    default:
      return TRect{R.left, R.bottom, R.right, R.bottom + 1};
  }
}

TcxRegion* TcxPCSlantedPainter::GetTabFigureRegion(int AIndex, bool AIncludeOutline)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  const TRect R = tab->GetFullRect();
  const TcxTabPosition position = tab->PaintingPosition();
  const bool vertical = position == TcxTabPosition::tpLeft || position == TcxTabPosition::tpRight;
  const int W = vertical ? R.bottom - R.top : R.right - R.left;
  const int H = vertical ? R.right - R.left : R.bottom - R.top;
  const TcxPCTabOutline outline = cxPCSlantedTabOutline(R.left, R.bottom, W, H, Slants()->GetKind(),
                                                        Slants()->GetPositions(), FViewInfo->ActuallyRotate());
  const std::vector<TPoint> points = cxPCFigureRegionPoints(outline, R, position, AIncludeOutline);
  return rtl::New<TcxRegion>(CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING));
}

TcxRegion* TcxPCSlantedPainter::GetTabClipRegion(int AIndex)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  TcxRegion* region = GetTabFigureRegion(AIndex, true);
  region->Combine(tab->GetVisibleRect(), TcxRegionOperation::roIntersect);
  if (tab->IsMainTab())
    region->Combine(GetPageSideBand(tab->GetFullRect(), tab->PaintingPosition()), TcxRegionOperation::roAdd);
  return region;
}

bool TcxPCSlantedPainter::IsTabHit(int AIndex, int X, int Y)
{
  const rtl::TOwnedPtr<TcxRegion> region(GetTabClipRegion(AIndex));
  if (!region->PtInRegion(X, Y))
    return false;
  // The selected tab lies on top of the tab before it.
  if (AIndex + 1 == FViewInfo->GetMainTabVisibleIndex()) {
    const rtl::TOwnedPtr<TcxRegion> main(GetTabClipRegion(AIndex + 1));
    return !main->PtInRegion(X, Y);
  }
  return true;
}

// ---------------------------------------------------------------------------
// TcxPCSlantedPainter: drawing

void TcxPCSlantedPainter::DrawTabs(TcxCanvas* ACanvas)
{
  int first, last;
  FViewInfo->InitializeVisibleTabRange(first, last);
  if (first == -1)
    return;
  const int main = FViewInfo->GetMainTabVisibleIndex();
  // The main tab first: its region then leaves the clip, so it stays on top
  // of the neighbours it overlaps.
  if (main >= first && main <= last)
    DrawTabArea(ACanvas, main);
  TcxPCLineIndexBoundsArray lines;
  FViewInfo->InitializeLineBoundsArray(lines);
  const int topOrLeftRows = std::min(FViewInfo->GetTopOrLeftPartRowCount(), static_cast<int>(lines.size()));
  std::vector<int> order;
  for (int row = topOrLeftRows - 1; row >= 0; --row)
    order.push_back(row);
  for (int row = topOrLeftRows; row < static_cast<int>(lines.size()); ++row)
    order.push_back(row);
  for (int row : order) {
    if (lines[row].Left == -1)
      continue;
    for (int i = lines[row].Left; i <= lines[row].Right; ++i)
      if (i != main && GetTabViewInfo(i)->GetVisibleRow() == row)
        DrawTabArea(ACanvas, i);
    DrawRowLine(ACanvas, row, lines[row]);
  }
}

void TcxPCSlantedPainter::DrawTabArea(TcxCanvas* ACanvas, int AIndex)
{
  TcxRegion* region = GetTabClipRegion(AIndex);
  ACanvas->SaveClipRegion();
  try {
    ACanvas->SetClipRegion(region->Clone(), TcxRegionOperation::roIntersect);
    DrawTab(ACanvas, AIndex);
  } catch (...) {
    ACanvas->RestoreClipRegion();
    rtl::Free(region);
    throw;
  }
  ACanvas->RestoreClipRegion();
  ACanvas->SetClipRegion(region, TcxRegionOperation::roSubtract);
}

void TcxPCSlantedPainter::DrawTab(TcxCanvas* ACanvas, int AIndex)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  const TRect R = tab->GetFullRect();
  if (IsSlantedEmptyRect(R) || IsSlantedEmptyRect(tab->GetVisibleRect()))
    return;
  DrawTabFrame(ACanvas, AIndex, R);
  DrawTabContent(ACanvas, AIndex);
  DrawTabFocusRect(ACanvas, AIndex);
}

void TcxPCSlantedPainter::DrawTabOutline(TcxCanvas* ACanvas, int AIndex, const TRect& R)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  const TcxTabPosition position = tab->PaintingPosition();
  const bool vertical = position == TcxTabPosition::tpLeft || position == TcxTabPosition::tpRight;
  const TcxPCTabOutline outline =
      cxPCSlantedTabOutline(R.left, R.bottom, vertical ? R.bottom - R.top : R.right - R.left,
                            vertical ? R.right - R.left : R.bottom - R.top, Slants()->GetKind(),
                            Slants()->GetPositions(), FViewInfo->ActuallyRotate());
  std::vector<TPoint> points;
  for (const TPoint& point : outline.Points)
    points.push_back(MirrorTabPoint(point, R, position));
  DrawSlantedPolyline(ACanvas, points, GetOutlineColor());
}

void TcxPCSlantedPainter::DrawTabFrame(TcxCanvas* ACanvas, int AIndex, const TRect& R)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  ACanvas->SaveClipRegion();
  try {
    DrawTabOutline(ACanvas, AIndex, R);
    ACanvas->SetClipRegion(GetTabFigureRegion(AIndex, false), TcxRegionOperation::roIntersect);
    if (HasHighlightStrip() && (tab->IsHotTrack() || tab->IsMainTab())) {
      // A strip at the outer edge, away from the page, marks the tab.
      const int depth = GetFrameWidth() + 3;
      TRect strip = R;
      switch (tab->PaintingPosition()) {
        case TcxTabPosition::tpBottom:
          strip.top = strip.bottom - depth;
          break;
        case TcxTabPosition::tpLeft:
          strip.right = strip.left + depth;
          break;
        case TcxTabPosition::tpRight:
          strip.left = strip.right - depth;
          break;
        default:
          strip.bottom = strip.top + depth;
          break;
      }
      ACanvas->FillRect(strip, vcl::clHighlight);
      ACanvas->ExcludeClipRect(strip);
    }
    DrawTabFace(ACanvas, AIndex, R);
  } catch (...) {
    ACanvas->RestoreClipRegion();
    throw;
  }
  ACanvas->RestoreClipRegion();
  if (tab->IsMainTab())
    DrawMainTabPageSide(ACanvas, AIndex, R);
}

void TcxPCSlantedPainter::DrawTabFace(TcxCanvas* ACanvas, int AIndex, const TRect& R)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  const vcl::TColor color = GetTabColor(AIndex);
  const bool hot = tab->IsHotTrack();
  const bool shadedMain = tab->IsMainTab() && hot && IsHotMainTabShaded();
  if ((tab->IsMainTab() && !shadedMain) || !FViewInfo->Properties()->GetOptions().Contains(TcxPCOption::pcoGradient)) {
    ACanvas->FillRect(R, color);
    return;
  }
  vcl::TColor color1 = hot ? BrightenColor(color, 20) : BrightenColor(color, 13);
  vcl::TColor color2 = hot ? color : cxDimColor(color, 90);
  const TcxTabPosition position = tab->PaintingPosition();
  if (shadedMain && (position == TcxTabPosition::tpBottom || position == TcxTabPosition::tpRight))
    std::swap(color1, color2);
  const bool horizontal = position == TcxTabPosition::tpLeft || position == TcxTabPosition::tpRight;
  cxGradientFillRect(ACanvas->GetHandle(), R, color1, horizontal, color2);
}

void TcxPCSlantedPainter::DrawMainTabPageSide(TcxCanvas* ACanvas, int AIndex, const TRect& R)
{
  // The band opens the tab into the page; an end that is not slanted keeps
  // its outline down to the page.
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  const TcxTabPosition position = tab->PaintingPosition();
  ACanvas->FillRect(GetPageSideBand(R, position), GetTabColor(AIndex));
  const bool vertical = position == TcxTabPosition::tpLeft || position == TcxTabPosition::tpRight;
  const int W = vertical ? R.bottom - R.top : R.right - R.left;
  const int sides = GetSlantSides();
  const vcl::TColor outline = GetOutlineColor();
  if (!(sides & 1)) {
    const TPoint P1 = MirrorTabPoint(TPoint{R.left, R.bottom}, R, position);
    ACanvas->SetPixel(P1.x, P1.y, outline);
  }
  if (!(sides & 2)) {
    const TPoint P2 = MirrorTabPoint(TPoint{R.left + W - 1, R.bottom}, R, position);
    ACanvas->SetPixel(P2.x, P2.y, outline);
  }
}

void TcxPCSlantedPainter::DrawRowLine(TcxCanvas* ACanvas, int ARow, const TcxPCIndexInterval& ATabs)
{
  TcxTabViewInfo* first = GetTabViewInfo(ATabs.Left);
  TcxTabViewInfo* last = GetTabViewInfo(ATabs.Right);
  const TcxTabPosition position = first->PaintingPosition();
  const bool vertical = position == TcxTabPosition::tpLeft || position == TcxTabPosition::tpRight;
  const TRect full = first->GetFullRect();
  const TRect v1 = first->GetVisibleRect();
  const TRect v2 = last->GetVisibleRect();
  const TRect bounds = FViewInfo->GetControlBounds();
  const int topOrLeftRows = FViewInfo->GetTopOrLeftPartRowCount();
  const bool topOrLeftPart = ARow < topOrLeftRows;
  const bool nextToPage = topOrLeftPart ? ARow == topOrLeftRows - 1 : ARow == topOrLeftRows;
  const bool outermost = topOrLeftPart ? ARow == 0 : ARow == FViewInfo->GetRowCount() - 1;
  const int sides = GetSlantSides();
  const bool leftEnd = (sides & 1) || nextToPage;
  const bool rightEnd = (sides & 2) || nextToPage;
  // The row's left end lies at the left for rows on top or bottom and at the
  // bottom for rows at the sides.
  TRect R;
  if (!vertical) {
    R = TRect{std::min(v1.left, v2.left), full.top, std::max(v1.right, v2.right), full.bottom};
    if (leftEnd)
      R.left = bounds.left;
    if (rightEnd)
      R.right = bounds.right;
  } else {
    R = TRect{full.left, std::min(v1.top, v2.top), full.right, std::max(v1.bottom, v2.bottom)};
    if (leftEnd)
      R.bottom = bounds.bottom;
    if (rightEnd)
      R.top = bounds.top;
  }
  const int overlap = -SlantedRowsDistance;
  TRect line;
  switch (position) {
    case TcxTabPosition::tpBottom:
      R.bottom -= overlap;
      --R.top;
      line = TRect{R.left, R.top, R.right, R.top + 1};
      break;
    case TcxTabPosition::tpLeft:
      R.left += overlap;
      ++R.right;
      line = TRect{R.right - 1, R.top, R.right, R.bottom};
      break;
    case TcxTabPosition::tpRight:
      R.right -= overlap;
      --R.left;
      line = TRect{R.left, R.top, R.left + 1, R.bottom};
      break;
    default:
      R.top += overlap;
      ++R.bottom;
      line = TRect{R.left, R.bottom - 1, R.right, R.bottom};
      break;
  }
  const vcl::TColor color = GetOutlineColor();
  ACanvas->FillRect(line, color);
  if (outermost)
    return;
  if (sides & 1)
    ACanvas->FillRect(vertical ? TRect{R.left, R.bottom - 1, R.right, R.bottom} : TRect{R.left, R.top, R.left + 1, R.bottom},
                      color);
  if (sides & 2)
    ACanvas->FillRect(vertical ? TRect{R.left, R.top, R.right, R.top + 1} : TRect{R.right - 1, R.top, R.right, R.bottom},
                      color);
}

void TcxPCSlantedPainter::DrawFrame(TcxCanvas* ACanvas)
{
  TRect R = GetPageClientRect();
  if (IsSlantedEmptyRect(R))
    return;
  InflateRect(&R, 1, 1);
  ACanvas->FrameRect(R, GetOutlineColor());
}

void TcxPCSlantedPainter::DrawTabFocusRect(TcxCanvas* ACanvas, int AIndex)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  if (!tab->IsFocused() || !FViewInfo->GetOwner()->GetControlFocused())
    return;
  TRect R = tab->GetTextRect();
  if (IsSlantedEmptyRect(R))
    return;
  if (FViewInfo->IsVerticalText())
    InflateRect(&R, 2, 3);
  else
    InflateRect(&R, 3, 2);
  ACanvas->GetBrush()->SetColor(GetTabColor(AIndex));
  ACanvas->GetFont()->SetColor(vcl::clBtnText);
  ACanvas->DrawFocusRect(R);
}

void TcxPCSlantedPainter::DrawHeaderButtonFace(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButtonState AState)
{
  const bool pressed = AState == TcxPCNavigatorButtonState::nbsPressed;
  const bool hot = AState == TcxPCNavigatorButtonState::nbsHotTrack;
  ACanvas->FrameRect(R, pressed || hot ? vcl::clBlack : vcl::clBtnShadow);
  TRect face = R;
  InflateRect(&face, -1, -1);
  vcl::TColor fill = vcl::clBtnFace;
  if (hot)
    fill = cxBlendColors(vcl::clBtnFace, vcl::clWhite, 35);
  else if (pressed)
    fill = cxBlendColors(vcl::clBtnFace, vcl::clBlack, 90);
  ACanvas->FillRect(face, fill);
}

void TcxPCSlantedPainter::DrawNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButton AKind,
                                              TcxPCNavigatorButtonState AState)
{
  const bool pressed = AState == TcxPCNavigatorButtonState::nbsPressed;
  const bool disabled =
      !FViewInfo->GetOwner()->GetControlEnabled() || AState == TcxPCNavigatorButtonState::nbsDisabled;
  DrawHeaderButtonFace(ACanvas, R, AState);
  vcl::TColor color = vcl::clBtnText;
  if (disabled)
    color = vcl::clBtnShadow;
  else if (pressed)
    color = cxBlendColors(GetControlColor(), vcl::clWhite, 10);

  // One glyph, never embossed: an arrow triangle, the go-dialog triangle
  // pointing down or a cross.
  const bool vertical = !FViewInfo->IsTopOrBottom();
  if (AKind == TcxPCNavigatorButton::nbClose) {
    const int size = Scaled(8);
    const int thickness = disabled ? 2 : 3;
    const int x = R.left + (R.right - R.left - size) / 2;
    const int y = R.top + (R.bottom - R.top - size) / 2;
    for (int i = 0; i < size; ++i)
      for (int t = 0; t < thickness; ++t) {
        const int offset = t - thickness / 2;
        if (i + offset >= 0 && i + offset < size) {
          ACanvas->SetPixel(x + i + offset, y + i, color);
          ACanvas->SetPixel(x + size - 1 - i - offset, y + i, color);
        }
      }
    return;
  }
  const bool goDialog = AKind == TcxPCNavigatorButton::nbGoDialog;
  const int c = Scaled(goDialog ? 4 : 5);
  TSize size{c, 2 * c - 1};
  if (goDialog || vertical)
    std::swap(size.cx, size.cy);
  const int x = R.left + (R.right - R.left - size.cx) / 2;
  const int y = R.top + (R.bottom - R.top - size.cy) / 2 + (goDialog ? 1 : 0);
  std::array<TPoint, 3> points;
  if (goDialog || (vertical && AKind == TcxPCNavigatorButton::nbBottomRight))
    points = {P{x, y}, P{x + size.cx - 1, y}, P{x + (size.cx - 1) / 2, y + size.cy - 1}};
  else if (vertical)
    points = {P{x, y + size.cy - 1}, P{x + (size.cx - 1) / 2, y}, P{x + size.cx - 1, y + size.cy - 1}};
  else if (AKind == TcxPCNavigatorButton::nbTopLeft)
    points = {P{x + size.cx - 1, y}, P{x, y + (size.cy - 1) / 2}, P{x + size.cx - 1, y + size.cy - 1}};
  else
    points = {P{x, y}, P{x + size.cx - 1, y + (size.cy - 1) / 2}, P{x, y + size.cy - 1}};
  ACanvas->GetPen()->SetColor(color);
  ACanvas->GetBrush()->SetColor(color);
  ACanvas->Polygon(points);
}
