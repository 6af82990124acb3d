#include "pagecontrol/cxPCPainters.h"

#include <algorithm>
#include <array>
#include <vector>

#include "core/cxGeometry.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "lookandfeel/cxLookAndFeels.h"

namespace {

using P = TPoint;

// Indexed by the standard style (tsTabs, tsButtons, tsFlatButtons) and by
// whether the tab is drawn down.
constexpr TRect StandardImageOffsets[2][3] = {{{6, 1, 0, 0}, {6, -1, 0, 1}, {6, -1, 0, 1}},
                                              {{8, 1, 0, 3}, {7, -1, 0, 1}, {7, -1, 0, 1}}};
constexpr TRect StandardTextOffsets[2][3] = {{{5, 1, 5, -1}, {6, 0, 4, 1}, {6, 0, 4, 1}},
                                             {{5, 1, 5, 2}, {6, 0, 4, 1}, {6, 0, 4, 1}}};
constexpr TPoint StandardContentOffsets[2][3] = {{{2, 2}, {3, 3}, {2, 2}}, {{4, 4}, {3, 3}, {4, 2}}};
constexpr TPoint StandardTooLongContentOffsets[2][3] = {{{2, 2}, {3, 3}, {2, 2}}, {{4, 4}, {3, 3}, {3, 2}}};
constexpr int StandardDefaultTabHeight[3] = {18, 20, 20};
constexpr TSize StandardTabsDistance[3] = {{0, 0}, {3, 3}, {10, 3}};
constexpr int StandardMinTabWidth = 42;

bool IsEmptyRect(const TRect& R)
{
  return R.right <= R.left || R.bottom <= R.top;
}

// A polyline completed by its end point, which LineTo leaves out.
void DrawPolyline(TcxCanvas* ACanvas, std::initializer_list<TPoint> APoints, vcl::TColor AColor)
{
  const std::vector<TPoint> points(APoints);
  ACanvas->GetPen()->SetColor(AColor);
  ACanvas->GetPen()->SetWidth(1);
  ACanvas->Polyline(points);
  ACanvas->SetPixel(points.back().x, points.back().y, AColor);
}

void TcxPCPaintersInitialization()
{
  cxPCOneNoteStartUp();
  RegisterPainterClass(TcxPCPainterClass::Of<TcxPCTabsPainter>());
  RegisterPainterClass(TcxPCPainterClass::Of<TcxPCSlantedPainter>());
  RegisterPainterClass(TcxPCPainterClass::Of<TcxPCOneNotePainter>());
}

void TcxPCPaintersFinalization()
{
  UnregisterPainterClass(TcxPCPainterClass::Of<TcxPCTabsPainter>());
  UnregisterPainterClass(TcxPCPainterClass::Of<TcxPCSlantedPainter>());
  UnregisterPainterClass(TcxPCPainterClass::Of<TcxPCOneNotePainter>());
  cxPCOneNoteShutDown();
}

}  // namespace

RTL_UNIT(cxPCPainters, &TcxPCPaintersInitialization, &TcxPCPaintersFinalization);

// ---------------------------------------------------------------------------
// TcxPCStandardPainter: metrics

int TcxPCStandardPainter::Scaled(int AValue) const
{
  TdxScaleFactor* scaleFactor = ScaleFactor();
  return scaleFactor ? scaleFactor->Apply(AValue) : AValue;
}

bool TcxPCStandardPainter::IsMainTabBoundWithClient() const
{
  return GetStandardStyle() == TcxPCStandardStyle::tsTabs;
}

bool TcxPCStandardPainter::IsMultiSelectionAccepted() const
{
  return GetStandardStyle() != TcxPCStandardStyle::tsTabs;
}

bool TcxPCStandardPainter::IsTabPressable() const
{
  return GetStandardStyle() != TcxPCStandardStyle::tsTabs;
}

bool TcxPCStandardPainter::IsTabDrawnDown(int AIndex)
{
  return AIndex >= 0 && GetTabViewInfo(AIndex)->IsMainTab();
}

int TcxPCStandardPainter::GetDefaultTabHeight()
{
  int result = Scaled(StandardDefaultTabHeight[StandardStyleIndex()]);
  cxEnsureTouchExtent(result, ScaleFactor());
  return result;
}

int TcxPCStandardPainter::GetContentHeight()
{
  int result = Scaled(8) + GetLargestTabTextHeight();
  if (FViewInfo->HasImages())
    result = std::max(result, Scaled(6) + static_cast<int>(FViewInfo->GetTabImageSize().cy));
  return result;
}

int TcxPCStandardPainter::CalculateTabNormalHeight()
{
  int result = std::max(GetContentHeight(), GetDefaultTabHeight());
  const int imageHeight = FViewInfo->HasImages() ? FViewInfo->GetTabImageSize().cy : 0;
  if (FViewInfo->ActuallyRotate() && imageHeight > 0 && (result - imageHeight) % 2 != 0)
    ++result;
  return std::max(result, FViewInfo->GetTabsViewInfo()->GetTabDefaultHeight());
}

int TcxPCStandardPainter::GetWidthWithoutText(int AIndex)
{
  int result = GetBaseContentWidth();
  const bool hasImage = AIndex >= 0 && GetTabViewInfo(AIndex)->HasImage();
  if (FViewInfo->HasImages() && (AIndex == -1 || hasImage || FViewInfo->ActuallyRotate()))
    result += GetTabImageAreaOffset() + FViewInfo->GetTabImageSize().cx;
  return result;
}

int TcxPCStandardPainter::CalculateTabNormalWidth(TcxTabViewInfo* ATabViewInfo)
{
  const int defined = ATabViewInfo->GetDefinedWidth();
  if (defined > 0)
    return defined;
  int result = GetWidthWithoutText(ATabViewInfo->GetVisibleIndex());
  if (ATabViewInfo->HasCaption())
    result += GetTabTextWidth(ATabViewInfo);
  result += GetTabButtonsPartWidth(ATabViewInfo->GetVisibleIndex());
  ATabViewInfo->CorrectTabNormalWidth(result);
  return result;
}

void TcxPCStandardPainter::CorrectTabNormalWidth(int& AValue)
{
  AValue = std::max(AValue, StandardMinTabWidth);
}

int TcxPCStandardPainter::GetMinTabWidth(int AIndex)
{
  return std::max(GetWidthWithoutText(AIndex), StandardMinTabWidth);
}

int TcxPCStandardPainter::GetHeaderButtonHeightBase()
{
  return Scaled(20);
}

int TcxPCStandardPainter::GetHeaderButtonWidthBase(TcxPCNavigatorButton AButton)
{
  if (AButton == TcxPCNavigatorButton::nbGoDialog)
    return Scaled(FViewInfo->IsTopOrBottom() ? 12 : 13);
  return Scaled(20);
}

TSize TcxPCStandardPainter::GetTabsDistance()
{
  return StandardTabsDistance[StandardStyleIndex()];
}

TRect TcxPCStandardPainter::GetTabImageOffsets(int AIndex)
{
  return StandardImageOffsets[IsTabDrawnDown(AIndex)][StandardStyleIndex()];
}

TRect TcxPCStandardPainter::GetTabTextOffsets(int AIndex)
{
  return StandardTextOffsets[IsTabDrawnDown(AIndex)][StandardStyleIndex()];
}

TPoint TcxPCStandardPainter::GetTabContentOffsets(int AIndex)
{
  const TPoint offsets = StandardContentOffsets[IsTabDrawnDown(AIndex)][StandardStyleIndex()];
  return TPoint{Scaled(offsets.x), Scaled(offsets.y)};
}

TPoint TcxPCStandardPainter::GetTooLongTextContentOffsets(int AIndex)
{
  return StandardTooLongContentOffsets[IsTabDrawnDown(AIndex)][StandardStyleIndex()];
}

TRect TcxPCStandardPainter::GetPageFrameRect()
{
  TRect R = inherited::GetPageFrameRect();
  if (IsEmptyRect(R))
    return R;
  const int minimum = 2 * GetFrameWidth();
  R.right = std::max(R.right, R.left + minimum);
  R.bottom = std::max(R.bottom, R.top + minimum);
  return R;
}

vcl::TColor TcxPCStandardPainter::GetTabColor(int AIndex)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  if (tab->IsHighlighted())
    return vcl::clHighlight;
  const vcl::TColor color = tab->GetColor();
  return color == vcl::clDefault ? vcl::clBtnFace : color;
}

TRect TcxPCStandardPainter::ToTabPosition(const TRect& R) const
{
  const TRect bounds = FViewInfo->GetControlBounds();
  switch (FViewInfo->TabPosition()) {
    case TcxTabPosition::tpBottom:
      return TRect{R.left, bounds.bottom - R.bottom, R.right, bounds.bottom - R.top};
    case TcxTabPosition::tpLeft:
      return TRect{R.top, R.left, R.bottom, R.right};
    case TcxTabPosition::tpRight:
      return TRect{bounds.right - R.bottom, R.left, bounds.right - R.top, R.right};
    default:
      return R;
  }
}

int TcxPCStandardPainter::CalculateHeaderButtons()
{
  const int count = FViewInfo->NavigatorButtonCount();
  FButtonsRect = TRect{};
  if (count == 0)
    return 0;
  int length = 0;
  for (int i = 0; i < count; ++i) {
    length += GetHeaderButtonWidth(FViewInfo->GetNavigatorButtonInfo(i).Kind);
    if (i > 0)
      length += GetHeaderButtonsDistance(FViewInfo->GetNavigatorButtonInfo(i - 1).Kind,
                                         FViewInfo->GetNavigatorButtonInfo(i).Kind);
  }
  const TRect bounds = FViewInfo->GetControlBounds();
  const bool topOrBottom = FViewInfo->IsTopOrBottom();
  const TcxPCNavigatorPosition position = FViewInfo->Properties()->GetNavigatorPosition();
  const bool atStart = topOrBottom ? position == TcxPCNavigatorPosition::npLeftTop ||
                                         position == TcxPCNavigatorPosition::npLeftBottom
                                   : position == TcxPCNavigatorPosition::npLeftTop ||
                                         position == TcxPCNavigatorPosition::npRightTop;
  const int thickness = FViewInfo->GetHeaderButtonHeight();
  const int alongSize = topOrBottom ? bounds.right : bounds.bottom;
  const int acrossSize = topOrBottom ? bounds.bottom : bounds.right;
  const int along = atStart ? GetNavigatorOffsetAlong() : alongSize - length - GetNavigatorOffsetAlong();
  const TcxTabPosition tabPosition = FViewInfo->TabPosition();
  const bool nearSide = tabPosition == TcxTabPosition::tpTop || tabPosition == TcxTabPosition::tpLeft;
  const int across = nearSide ? GetNavigatorOffsetAcross() : acrossSize - GetNavigatorOffsetAcross() - thickness;
  FButtonsRect = topOrBottom ? TRect{along, across, along + length, across + thickness}
                             : TRect{across, along, across + thickness, along + length};
  int p = along;
  for (int i = 0; i < count; ++i) {
    TcxPCHeaderButton& button = FViewInfo->GetNavigatorButtonInfo(i);
    const int width = GetHeaderButtonWidth(button.Kind);
    button.Bounds = topOrBottom ? TRect{p, across, p + width, across + thickness}
                                : TRect{across, p, across + thickness, p + width};
    p += width;
    if (i + 1 < count)
      p += GetHeaderButtonsDistance(button.Kind, FViewInfo->GetNavigatorButtonInfo(i + 1).Kind);
  }
  return length + GetNavigatorOffsetAlong() + GetNavigatorToTabsDistance();
}

void TcxPCStandardPainter::SetTabsPosition(TcxPCTabsPosition& ATabsPosition, const TRect& AExtended,
                                           const TRect& ANormal)
{
  ATabsPosition.ExtendedTabsRect = ToTabPosition(AExtended);
  ATabsPosition.NormalTabsRect = ToTabPosition(ANormal);
  ATabsPosition.NormalRowWidth = ANormal.right - ANormal.left;
  const TcxTabPosition position = FViewInfo->TabPosition();
  if (position == TcxTabPosition::tpTop || position == TcxTabPosition::tpLeft)
    ATabsPosition.ExtendedTopOrLeftTabsRectBottomOrRightBorderOffset = 1;
  else
    ATabsPosition.ExtendedBottomOrRightTabsRectTopOrLeftBorderOffset = -1;
  ATabsPosition.MinDistanceBetweenTopOrLeftAndBottomOrRightExtendedTabsRects = 0;
}

// ---------------------------------------------------------------------------
// TcxPCStandardPainter: drawing

void TcxPCStandardPainter::DrawFrame(TcxCanvas* ACanvas)
{
  const TRect R = GetPageFrameRect();
  if (IsEmptyRect(R))
    return;
  ACanvas->DrawComplexFrame(R, vcl::clBtnHighlight, vcl::cl3DDkShadow);
  TRect inner = R;
  InflateRect(&inner, -1, -1);
  ACanvas->DrawComplexFrame(inner, vcl::cl3DLight, vcl::clBtnShadow);
}

void TcxPCStandardPainter::DrawNavigatorButtons(TcxCanvas* ACanvas)
{
  const bool swapArrows = FViewInfo->UseRightToLeftAlignment() && FViewInfo->IsTopOrBottom();
  for (int i = 0; i < FViewInfo->NavigatorButtonCount(); ++i) {
    const TcxPCHeaderButton& button = FViewInfo->GetNavigatorButtonInfo(i);
    TcxPCNavigatorButton kind = button.Kind;
    if (swapArrows && kind == TcxPCNavigatorButton::nbTopLeft)
      kind = TcxPCNavigatorButton::nbBottomRight;
    else if (swapArrows && kind == TcxPCNavigatorButton::nbBottomRight)
      kind = TcxPCNavigatorButton::nbTopLeft;
    ACanvas->SaveClipRegion();
    ACanvas->IntersectClipRect(button.Bounds);
    DrawNavigatorButton(ACanvas, button.Bounds, kind, button.State);
    ACanvas->RestoreClipRegion();
    ACanvas->ExcludeClipRect(button.Bounds);
  }
}

void TcxPCStandardPainter::DrawNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButton AKind,
                                               TcxPCNavigatorButtonState AState)
{
  const bool pressed = AState == TcxPCNavigatorButtonState::nbsPressed;
  TRect rect = R;
  ACanvas->DrawComplexFrame(rect, pressed ? vcl::clBtnShadow : vcl::cl3DLight,
                            pressed ? vcl::clBtnHighlight : vcl::cl3DDkShadow);
  InflateRect(&rect, -1, -1);
  ACanvas->DrawComplexFrame(rect, pressed ? vcl::cl3DDkShadow : vcl::clBtnHighlight,
                            pressed ? vcl::cl3DLight : vcl::clBtnShadow);
  InflateRect(&rect, -1, -1);
  ACanvas->FillRect(rect, vcl::clBtnFace);

  const bool enabled = FViewInfo->GetOwner()->GetControlEnabled() && AState != TcxPCNavigatorButtonState::nbsDisabled;
  const vcl::TColor color = AState == TcxPCNavigatorButtonState::nbsHotTrack
                                ? static_cast<vcl::TColor>(GetSysColor(COLOR_HOTLIGHT))
                                : vcl::clBtnText;
  const bool vertical = !FViewInfo->IsTopOrBottom();
  const bool goDialog = AKind == TcxPCNavigatorButton::nbGoDialog;
  if (AKind == TcxPCNavigatorButton::nbClose) {
    // A cross of two diagonals three pixels thick.
    const int size = Scaled(8);
    const int x = R.left + (R.right - R.left - size) / 2 + (pressed ? 1 : 0);
    const int y = R.top + (R.bottom - R.top - size) / 2 + (pressed ? 1 : 0);
    auto drawCross = [&](int AX, int AY, vcl::TColor AColor) {
      for (int i = 0; i < size; ++i)
        for (int t = -1; t <= 1; ++t) {
          if (i + t >= 0 && i + t < size) {
            ACanvas->SetPixel(AX + i + t, AY + i, AColor);
            ACanvas->SetPixel(AX + size - 1 - i - t, AY + i, AColor);
          }
        }
    };
    if (!enabled) {
      drawCross(x + 1, y + 1, vcl::clBtnHighlight);
      drawCross(x, y, vcl::clBtnShadow);
    } else {
      drawCross(x, y, color);
    }
    return;
  }
  const int c = Scaled(goDialog ? 4 : 5);
  TSize size{c, 2 * c - 1};
  if (goDialog || vertical)
    std::swap(size.cx, size.cy);
  int x = R.left + (R.right - R.left - size.cx) / 2;
  int y = R.top + (R.bottom - R.top - size.cy) / 2 + (goDialog ? 1 : 0);
  if (pressed) {
    x += goDialog ? 0 : 1;
    y += 1;
  }
  // The directions of the three corners, scaled by the glyph's extent.
  enum { up, down, left, right } direction;
  if (goDialog)
    direction = down;
  else if (AKind == TcxPCNavigatorButton::nbTopLeft)
    direction = vertical ? up : left;
  else
    direction = vertical ? down : right;
  static constexpr TPoint corners[4][3] = {{{0, 1}, {1, 0}, {2, 1}},
                                           {{0, 0}, {2, 0}, {1, 1}},
                                           {{0, 1}, {1, 0}, {1, 2}},
                                           {{0, 0}, {1, 1}, {0, 2}}};
  const int unitX = direction == up || direction == down ? (size.cx - 1) / 2 : size.cx - 1;
  const int unitY = direction == up || direction == down ? size.cy - 1 : (size.cy - 1) / 2;
  auto drawArrow = [&](int AX, int AY, vcl::TColor AColor) {
    std::array<TPoint, 3> points;
    for (int i = 0; i < 3; ++i)
      points[i] = TPoint{AX + corners[direction][i].x * unitX, AY + corners[direction][i].y * unitY};
    ACanvas->GetPen()->SetColor(AColor);
    ACanvas->GetBrush()->SetColor(AColor);
    ACanvas->Polygon(points);
  };
  if (!enabled) {
    drawArrow(x + 1, y + 1, vcl::clBtnHighlight);
    drawArrow(x, y, vcl::clBtnShadow);
  } else {
    drawArrow(x, y, color);
  }
}

void TcxPCStandardPainter::DrawTab(TcxCanvas* ACanvas, int AIndex)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  TRect R = tab->GetFullRect();
  TRect clip = tab->GetVisibleRect();
  if (IsEmptyRect(R) || IsEmptyRect(clip))
    return;
  if (tab->IsMainTab()) {
    // The main tab reaches one pixel into the page.
    TRect* rects[] = {&R, &clip};
    for (TRect* rect : rects)
      switch (tab->PaintingPosition()) {
        case TcxTabPosition::tpTop:
          ++rect->bottom;
          break;
        case TcxTabPosition::tpBottom:
          --rect->top;
          break;
        case TcxTabPosition::tpLeft:
          ++rect->right;
          break;
        case TcxTabPosition::tpRight:
          --rect->left;
          break;
      }
  }
  rtl::TOwnedPtr<TcxBitmap> bitmap(rtl::NewWith<TcxBitmap>([&](TcxBitmap* B) {
    B->CreateSize(R.right - R.left, R.bottom - R.top, vcl::TPixelFormat::pf24bit);
  }));
  TcxCanvas* canvas = bitmap->GetcxCanvas();
  canvas->SetWindowOrg(TPoint{R.left, R.top});
  DrawTabFrame(canvas, AIndex, R);
  DrawTabContent(canvas, AIndex);
  DrawTabFocusRect(canvas, AIndex);
  canvas->SetWindowOrg(TPoint{0, 0});
  ACanvas->SaveClipRegion();
  ACanvas->IntersectClipRect(clip);
  BitBlt(ACanvas->GetHandle(), R.left, R.top, R.right - R.left, R.bottom - R.top, canvas->GetHandle(), 0, 0,
         SRCCOPY);
  ACanvas->RestoreClipRegion();
  ACanvas->ExcludeClipRect(clip);
}

void TcxPCStandardPainter::DrawTabFrame(TcxCanvas* ACanvas, int AIndex, const TRect& R)
{
  ACanvas->FillRect(R, GetTabColor(AIndex));
}

void TcxPCStandardPainter::DrawTabFocusRect(TcxCanvas* ACanvas, int AIndex)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  if (!tab->IsFocused() || !FViewInfo->GetOwner()->GetControlFocused())
    return;
  TRect R = tab->GetFullRect();
  InflateRect(&R, -Scaled(2), -Scaled(2));
  ACanvas->GetFont()->SetColor(vcl::clBtnText);
  ACanvas->DrawFocusRect(R);
}

void TcxPCStandardPainter::RepaintTab(int AIndex, int)
{
  InvalidateTab(AIndex);
}

// ---------------------------------------------------------------------------
// TcxPCTabsPainter

bool TcxPCTabsPainter::HasLookAndFeel(TcxLookAndFeel* ALookAndFeel) const
{
  TcxCustomLookAndFeelPainter* painter = ALookAndFeel->GetAvailablePainter(TdxThemedObjectType::totTab);
  if (!painter)
    return false;
  const TcxLookAndFeelStyle style = painter->LookAndFeelStyle();
  return style == TcxLookAndFeelStyle::lfsStandard || style == TcxLookAndFeelStyle::lfsNative;
}

bool TcxPCTabsPainter::IsDefault(TcxLookAndFeel* ALookAndFeel) const
{
  return ALookAndFeel->GetNativeStyle();
}

int TcxPCTabsPainter::GetContentHeight()
{
  return inherited::GetContentHeight() - Scaled(FViewInfo->ActuallyRotate() ? 2 : 3);
}

TPoint TcxPCTabsPainter::GetTabContentOffsets(int AIndex)
{
  TPoint offsets{3, 3};
  if (IsTabDrawnDown(AIndex))
    offsets = FViewInfo->ActuallyRotate() ? TPoint{4, 5} : TPoint{5, 5};
  if (AIndex >= 0 && GetTabViewInfo(AIndex)->GetRelativeTextRotationAngle() == TcxRotationAngle::raMinus90)
    std::swap(offsets.x, offsets.y);
  return TPoint{Scaled(offsets.x), Scaled(offsets.y)};
}

TRect TcxPCTabsPainter::GetTabImageOffsets(int AIndex)
{
  TRect offsets = inherited::GetTabImageOffsets(AIndex);
  if (AIndex >= 0 && GetTabViewInfo(AIndex)->GetRelativeTextRotationAngle() == TcxRotationAngle::ra180)
    ++offsets.bottom;
  return offsets;
}

TRect TcxPCTabsPainter::GetTabTextOffsets(int AIndex)
{
  TRect offsets = inherited::GetTabTextOffsets(AIndex);
  if (AIndex >= 0 && GetTabViewInfo(AIndex)->GetRelativeTextRotationAngle() == TcxRotationAngle::ra180)
    ++offsets.bottom;
  return offsets;
}

void TcxPCTabsPainter::GetTabsAreaExtents(TRect& AExtents)
{
  inherited::GetTabsAreaExtents(AExtents);
  --AExtents.top;
}

TRect TcxPCTabsPainter::GetTabFullRectExtension(int AIndex)
{
  if (AIndex < 0 || !GetTabViewInfo(AIndex)->IsMainTab())
    return TRect{};
  switch (GetTabViewInfo(AIndex)->PaintingPosition()) {
    case TcxTabPosition::tpBottom:
      return TRect{-2, -1, 2, 2};
    case TcxTabPosition::tpLeft:
      return TRect{-2, -2, 1, 2};
    case TcxTabPosition::tpRight:
      return TRect{-1, -2, 2, 2};
    default:
      return TRect{-2, -2, 2, 1};
  }
}

void TcxPCTabsPainter::CalculateTabsPosition(TcxPCTabsPosition& ATabsPosition)
{
  const TRect bounds = FViewInfo->GetControlBounds();
  const bool topOrBottom = FViewInfo->IsTopOrBottom();
  const int along = topOrBottom ? bounds.right : bounds.bottom;
  const int across = topOrBottom ? bounds.bottom : bounds.right;
  const int c = std::max(FViewInfo->GetHeaderButtonHeight() - GetHeaderButtonHeight(), 0);
  const int navigatorLength = CalculateHeaderButtons();
  TRect extended{0, c, along, across};
  if (navigatorLength > 0 && !FViewInfo->Properties()->GetMultiLine()) {
    const TcxPCNavigatorPosition position = FViewInfo->Properties()->GetNavigatorPosition();
    const bool atStart = topOrBottom ? position == TcxPCNavigatorPosition::npLeftTop ||
                                           position == TcxPCNavigatorPosition::npLeftBottom
                                     : position == TcxPCNavigatorPosition::npLeftTop ||
                                           position == TcxPCNavigatorPosition::npRightTop;
    if (atStart)
      extended.left += navigatorLength;
    else
      extended.right -= navigatorLength;
  }
  const TRect normal{extended.left + 2, c + 2, extended.right - 2, across};
  SetTabsPosition(ATabsPosition, extended, normal);
}

void TcxPCTabsPainter::DrawTabs(TcxCanvas* ACanvas)
{
  const int main = FViewInfo->GetMainTabVisibleIndex();
  int first, last;
  FViewInfo->InitializeVisibleTabRange(first, last);
  if (main != -1 && GetTabViewInfo(main)->ActuallyVisible())
    DrawTab(ACanvas, main);
  for (int i = first; first != -1 && i <= last; ++i)
    if (i != main)
      DrawTab(ACanvas, i);
}

void TcxPCTabsPainter::DrawTabFrame(TcxCanvas* ACanvas, int AIndex, const TRect& ABitmapRect)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  const TRect full = tab->GetFullRect();
  const TcxTabPosition position = tab->PaintingPosition();
  const bool main = tab->IsMainTab();
  const vcl::TColor controlColor = GetControlColor();
  const vcl::TColor tabColor = GetTabColor(AIndex);
  ACanvas->FillRect(ABitmapRect, controlColor);

  TRect face = full;
  InflateRect(&face, -2, -2);
  if (main)
    switch (position) {
      case TcxTabPosition::tpTop:
        face.bottom += 2;
        break;
      case TcxTabPosition::tpBottom:
        face.top -= 2;
        break;
      case TcxTabPosition::tpLeft:
        face.right += 2;
        break;
      case TcxTabPosition::tpRight:
        face.left -= 2;
        break;
    }
  ACanvas->FillRect(face, tabColor);

  const int L = full.left, T = full.top, R = full.right, B = full.bottom;
  switch (position) {
    case TcxTabPosition::tpTop:
      DrawPolyline(ACanvas, {P{L, B - 1}, P{L, T + 2}, P{L + 2, T}, P{R - 3, T}}, vcl::clBtnHighlight);
      DrawPolyline(ACanvas, {P{L + 1, B - 1}, P{L + 1, T + 2}, P{L + 2, T + 1}, P{R - 3, T + 1}}, vcl::cl3DLight);
      DrawPolyline(ACanvas, {P{R - 1, B - 1}, P{R - 1, T + 2}, P{R - 2, T + 1}}, vcl::cl3DDkShadow);
      DrawPolyline(ACanvas, {P{R - 2, B - 1}, P{R - 2, T + 2}}, vcl::clBtnShadow);
      break;
    case TcxTabPosition::tpBottom:
      DrawPolyline(ACanvas, {P{L, T}, P{L, B - 3}, P{L + 1, B - 2}}, vcl::clBtnHighlight);
      DrawPolyline(ACanvas, {P{L + 1, T}, P{L + 1, B - 3}}, vcl::cl3DLight);
      DrawPolyline(ACanvas, {P{L + 2, B - 1}, P{R - 3, B - 1}, P{R - 1, B - 3}, P{R - 1, T}}, vcl::cl3DDkShadow);
      DrawPolyline(ACanvas, {P{L + 2, B - 2}, P{R - 3, B - 2}, P{R - 2, B - 3}, P{R - 2, T}}, vcl::clBtnShadow);
      break;
    case TcxTabPosition::tpLeft:
      DrawPolyline(ACanvas, {P{L, B - 3}, P{L, T + 2}, P{L + 2, T}, P{R - 1, T}}, vcl::clBtnHighlight);
      DrawPolyline(ACanvas, {P{L + 1, B - 3}, P{L + 1, T + 2}, P{L + 2, T + 1}, P{R - 1, T + 1}}, vcl::cl3DLight);
      DrawPolyline(ACanvas, {P{L + 2, B - 2}, P{L + 3, B - 1}, P{R - 1, B - 1}}, vcl::cl3DDkShadow);
      DrawPolyline(ACanvas, {P{L + 1, B - 2}, P{L + 2, B - 1}, P{L + 3, B - 2}, P{R - 1, B - 2}}, vcl::clBtnShadow);
      break;
    case TcxTabPosition::tpRight:
      DrawPolyline(ACanvas, {P{L, T}, P{R - 3, T}, P{R - 2, T + 1}}, vcl::clBtnHighlight);
      DrawPolyline(ACanvas, {P{L, T + 1}, P{R - 3, T + 1}}, vcl::cl3DLight);
      DrawPolyline(ACanvas, {P{L, B - 1}, P{R - 3, B - 1}, P{R - 1, B - 3}, P{R - 1, T + 2}}, vcl::cl3DDkShadow);
      DrawPolyline(ACanvas, {P{L, B - 2}, P{R - 3, B - 2}, P{R - 2, B - 3}, P{R - 2, T + 2}}, vcl::clBtnShadow);
      break;
  }
  if (main)
    DrawMainTabPageLine(ACanvas, AIndex, full, tabColor);
  DrawCorners(ACanvas, AIndex, full);
}

void TcxPCTabsPainter::DrawMainTabPageLine(TcxCanvas* ACanvas, int AIndex, const TRect& R, vcl::TColor AColor)
{
  // The line one pixel beyond the tab toward the page opens the tab into the
  // page; its ends continue the page frame.
  const TcxTabPosition position = GetTabViewInfo(AIndex)->PaintingPosition();
  const TRect bounds = FViewInfo->GetControlBounds();
  const bool horizontal = position == TcxTabPosition::tpTop || position == TcxTabPosition::tpBottom;
  const int first = horizontal ? R.left : R.top;
  const int last = (horizontal ? R.right : R.bottom) - 1;
  const int line = position == TcxTabPosition::tpTop    ? R.bottom
                   : position == TcxTabPosition::tpBottom ? R.top - 1
                   : position == TcxTabPosition::tpLeft   ? R.right
                                                          : R.left - 1;
  const bool atStart = first <= 0;
  const bool atEnd = last + 1 >= (horizontal ? bounds.right : bounds.bottom);
  auto pixel = [&](int AAlong, vcl::TColor AColor2) {
    if (horizontal)
      ACanvas->SetPixel(AAlong, line, AColor2);
    else
      ACanvas->SetPixel(line, AAlong, AColor2);
  };
  for (int i = first; i <= last; ++i)
    pixel(i, AColor);
  if (position == TcxTabPosition::tpTop || position == TcxTabPosition::tpLeft) {
    pixel(first, atStart ? vcl::clBtnHighlight : vcl::cl3DLight);
    pixel(first + 1, vcl::cl3DLight);
    if (atEnd) {
      pixel(last - 1, vcl::clBtnShadow);
      pixel(last, vcl::cl3DDkShadow);
    }
  } else {
    if (atStart) {
      pixel(first, vcl::clBtnHighlight);
      pixel(first + 1, vcl::cl3DLight);
    }
    pixel(last - 1, vcl::clBtnShadow);
    pixel(last, atEnd ? vcl::cl3DDkShadow : vcl::clBtnShadow);
  }
}

void TcxPCTabsPainter::DrawCorners(TcxCanvas* ACanvas, int AIndex, const TRect& R)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  const int visibleRow = tab->GetVisibleRow();
  const int topOrLeftRows = FViewInfo->GetTopOrLeftPartRowCount();
  const bool outermost = visibleRow < topOrLeftRows ? visibleRow == 0 : visibleRow == FViewInfo->GetRowCount() - 1;
  vcl::TColor startColor = outermost ? GetControlColor() : vcl::clBtnFace;
  vcl::TColor endColor = startColor;
  if (tab->IsMainTab() && !FViewInfo->ActuallyRotate()) {
    TcxPCLineIndexBoundsArray lines;
    FViewInfo->InitializeLineBoundsArray(lines);
    if (visibleRow >= 0 && visibleRow < static_cast<int>(lines.size())) {
      if (lines[visibleRow].Left == AIndex)
        startColor = GetControlColor();
      if (lines[visibleRow].Right == AIndex)
        endColor = GetControlColor();
    }
  }
  const TcxTabPosition position = tab->PaintingPosition();
  if ((position == TcxTabPosition::tpLeft || position == TcxTabPosition::tpRight) &&
      FViewInfo->GetTextRotationAngle() != TcxRotationAngle::raMinus90)
    std::swap(startColor, endColor);
  const int L = R.left, T = R.top, Rt = R.right, B = R.bottom;
  std::array<TPoint, 3> start, end;
  switch (position) {
    case TcxTabPosition::tpBottom:
      start = {P{L, B - 2}, P{L, B - 1}, P{L + 1, B - 1}};
      end = {P{Rt - 2, B - 1}, P{Rt - 1, B - 1}, P{Rt - 1, B - 2}};
      break;
    case TcxTabPosition::tpLeft:
      start = {P{L + 1, T}, P{L, T}, P{L, T + 1}};
      end = {P{L, B - 2}, P{L, B - 1}, P{L + 1, B - 1}};
      break;
    case TcxTabPosition::tpRight:
      start = {P{Rt - 2, T}, P{Rt - 1, T}, P{Rt - 1, T + 1}};
      end = {P{Rt - 1, B - 2}, P{Rt - 1, B - 1}, P{Rt - 2, B - 1}};
      break;
    default:
      start = {P{L, T + 1}, P{L, T}, P{L + 1, T}};
      end = {P{Rt - 2, T}, P{Rt - 1, T}, P{Rt - 1, T + 1}};
      break;
  }
  for (const TPoint& point : start)
    ACanvas->SetPixel(point.x, point.y, startColor);
  for (const TPoint& point : end)
    ACanvas->SetPixel(point.x, point.y, endColor);
}
