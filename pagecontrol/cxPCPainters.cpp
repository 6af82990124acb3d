#include "pagecontrol/cxPCPainters.h"

#include <algorithm>
#include <array>
#include <vector>

#include <vssym32.h>

#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "core/dxThemeManager.h"
#include "core/dxUxTheme.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "platform/vcl/Controls.h"

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

// The built-in styles in the order the factory keeps them.
std::array<TcxPCPainterClass, 9> BuiltInPainterClasses()
{
  return {TcxPCPainterClass::Of<TcxPCTabsPainter>(),       TcxPCPainterClass::Of<TcxPCButtonsPainter>(),
          TcxPCPainterClass::Of<TcxPCFlatButtonsPainter>(), TcxPCPainterClass::Of<TcxPCExtraFlatPainter>(),
          TcxPCPainterClass::Of<TcxPCUltraFlatPainter>(),   TcxPCPainterClass::Of<TcxPCFlatPainter>(),
          TcxPCPainterClass::Of<TcxPCOffice11Painter>(),    TcxPCPainterClass::Of<TcxPCSlantedPainter>(),
          TcxPCPainterClass::Of<TcxPCOneNotePainter>()};
}

void TcxPCPaintersInitialization()
{
  cxPCCalculateLightBrushColor();
  cxPCOneNoteStartUp();
  for (TcxPCPainterClass painterClass : BuiltInPainterClasses())
    RegisterPainterClass(painterClass);
}

void TcxPCPaintersFinalization()
{
  for (TcxPCPainterClass painterClass : BuiltInPainterClasses())
    UnregisterPainterClass(painterClass);
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
  result += GetTabButtonsWidth(ATabViewInfo->GetVisibleIndex());
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

TPoint TcxPCStandardPainter::GetGoDialogPopupPoint(const TSize& AMenuSize)
{
  TRect button{};
  for (int i = 0; i < FViewInfo->NavigatorButtonCount(); ++i) {
    const TcxPCHeaderButton& info = FViewInfo->GetNavigatorButtonInfo(i);
    if (!info.Button && info.Kind == TcxPCNavigatorButton::nbGoDialog)
      button = info.Bounds;
  }
  using enum TcxPCNavigatorPosition;
  const TcxPCNavigatorPosition navigator = FViewInfo->Properties()->GetNavigatorPosition();
  const bool navigatorAtLeft = navigator == npLeftTop || navigator == npLeftBottom;
  const bool navigatorAtTop = navigator == npLeftTop || navigator == npRightTop;
  bool below = true;
  bool leftAligned = true;
  switch (FViewInfo->TabPosition()) {
    case TcxTabPosition::tpTop:
      leftAligned = navigatorAtLeft;
      break;
    case TcxTabPosition::tpBottom:
      below = false;
      leftAligned = navigatorAtLeft;
      break;
    case TcxTabPosition::tpLeft:
      below = navigatorAtTop;
      break;
    case TcxTabPosition::tpRight:
      below = navigatorAtTop;
      leftAligned = false;
      break;
  }
  return TPoint{leftAligned ? button.left : button.right - AMenuSize.cx,
                below ? button.bottom : button.top - AMenuSize.cy};
}

vcl::TColor TcxPCStandardPainter::GetTabColor(int AIndex)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  if (tab->IsHighlighted())
    return vcl::clHighlight;
  const vcl::TColor color = GetTabOwnColor(AIndex);
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
    length += GetHeaderButtonInfoWidth(FViewInfo->GetNavigatorButtonInfo(i));
    if (i > 0)
      length += GetHeaderButtonInfosDistance(FViewInfo->GetNavigatorButtonInfo(i - 1),
                                             FViewInfo->GetNavigatorButtonInfo(i));
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
    const int width = GetHeaderButtonInfoWidth(button);
    button.Bounds = topOrBottom ? TRect{p, across, p + width, across + thickness}
                                : TRect{across, p, across + thickness, p + width};
    p += width;
    if (i + 1 < count)
      p += GetHeaderButtonInfosDistance(button, FViewInfo->GetNavigatorButtonInfo(i + 1));
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

void TcxPCStandardPainter::CalculateStandardTabsPosition(TcxPCTabsPosition& ATabsPosition)
{
  const TRect bounds = FViewInfo->GetControlBounds();
  const bool topOrBottom = FViewInfo->IsTopOrBottom();
  const int along = topOrBottom ? bounds.right : bounds.bottom;
  const int across = topOrBottom ? bounds.bottom : bounds.right;
  // Told for tabs on top: taller header buttons push the tabs toward the
  // page.
  TRect R{0, std::max(FViewInfo->GetHeaderButtonHeight() - GetHeaderButtonHeight(), 0), along, across};
  if (FViewInfo->Properties()->GetIsTabsContainer()) {
    R.left += Scaled(2);
    R.top += Scaled(2);
    R.right -= Scaled(2);
  }
  const int navigatorLength = CalculateHeaderButtons();
  if (navigatorLength > 0) {
    const TcxPCNavigatorPosition position = FViewInfo->Properties()->GetNavigatorPosition();
    const bool atStart = topOrBottom ? position == TcxPCNavigatorPosition::npLeftTop ||
                                           position == TcxPCNavigatorPosition::npLeftBottom
                                     : position == TcxPCNavigatorPosition::npLeftTop ||
                                           position == TcxPCNavigatorPosition::npRightTop;
    if (atStart)
      R.left += navigatorLength;
    else
      R.right -= navigatorLength;
  }
  ATabsPosition.ExtendedTabsRect = ToTabPosition(R);
  ATabsPosition.NormalTabsRect = ATabsPosition.ExtendedTabsRect;
  ATabsPosition.NormalRowWidth = std::max<int>(R.right - R.left, 0);
  ATabsPosition.ExtendedTopOrLeftTabsRectBottomOrRightBorderOffset = 0;
  ATabsPosition.ExtendedBottomOrRightTabsRectTopOrLeftBorderOffset = 0;
  ATabsPosition.MinDistanceBetweenTopOrLeftAndBottomOrRightExtendedTabsRects = GetTabsDistance().cy;
}

// ---------------------------------------------------------------------------
// TcxPCStandardPainter: drawing

void TcxPCStandardPainter::DrawFrame(TcxCanvas* ACanvas)
{
  TRect R = GetPageFrameRect();
  if (IsEmptyRect(R))
    return;
  // An open side lets the page run out to the edge of the frame rectangle.
  const TcxBorders sides = GetFrameSides();
  const int width = GetFrameWidth();
  if (!sides.Contains(TcxBorder::bLeft))
    R.left -= width;
  if (!sides.Contains(TcxBorder::bTop))
    R.top -= width;
  if (!sides.Contains(TcxBorder::bRight))
    R.right += width;
  if (!sides.Contains(TcxBorder::bBottom))
    R.bottom += width;
  ACanvas->DrawComplexFrame(R, vcl::clBtnHighlight, vcl::cl3DDkShadow, sides);
  InflateRect(&R, -1, -1);
  ACanvas->DrawComplexFrame(R, vcl::cl3DLight, vcl::clBtnShadow, sides);
}

void TcxPCStandardPainter::DrawNavigatorButtons(TcxCanvas* ACanvas)
{
  const bool swapArrows = FViewInfo->UseRightToLeftAlignment() && FViewInfo->IsTopOrBottom();
  for (int i = 0; i < FViewInfo->NavigatorButtonCount(); ++i) {
    const TcxPCHeaderButton& button = FViewInfo->GetNavigatorButtonInfo(i);
    ACanvas->SaveClipRegion();
    ACanvas->IntersectClipRect(button.Bounds);
    if (button.Button) {
      DrawCustomHeaderButton(ACanvas, button.Bounds, button.Button, button.State);
      ACanvas->RestoreClipRegion();
      ACanvas->ExcludeClipRect(button.Bounds);
      continue;
    }
    ACanvas->RestoreClipRegion();
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

void TcxPCStandardPainter::DrawCustomHeaderButton(TcxCanvas* ACanvas, const TRect& R, TcxPCButton* AButton,
                                                  TcxPCNavigatorButtonState AState)
{
  DrawHeaderButtonFace(ACanvas, R, AState);
  DrawHeaderButtonImage(ACanvas, R, AButton, AState);
}

void TcxPCStandardPainter::DrawHeaderButtonFace(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButtonState AState)
{
  TRect face = R;
  DrawButtonFrame(ACanvas, face, AState == TcxPCNavigatorButtonState::nbsPressed);
  ACanvas->FillRect(face, GetButtonColor());
}

void TcxPCStandardPainter::DrawButtonFrame(TcxCanvas* ACanvas, TRect& R, bool APressed)
{
  ACanvas->DrawComplexFrame(R, APressed ? vcl::clBtnShadow : vcl::cl3DLight,
                            APressed ? vcl::clBtnHighlight : vcl::cl3DDkShadow);
  InflateRect(&R, -1, -1);
  ACanvas->DrawComplexFrame(R, APressed ? vcl::cl3DDkShadow : vcl::clBtnHighlight,
                            APressed ? vcl::cl3DLight : vcl::clBtnShadow);
  InflateRect(&R, -1, -1);
}

void TcxPCStandardPainter::DrawNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButton AKind,
                                               TcxPCNavigatorButtonState AState)
{
  const bool pressed = AState == TcxPCNavigatorButtonState::nbsPressed;
  TRect rect = R;
  DrawButtonFrame(ACanvas, rect, pressed);
  ACanvas->FillRect(rect, GetButtonColor());
  const bool enabled = FViewInfo->GetOwner()->GetControlEnabled() && AState != TcxPCNavigatorButtonState::nbsDisabled;
  const vcl::TColor color = AState == TcxPCNavigatorButtonState::nbsHotTrack
                                ? static_cast<vcl::TColor>(GetSysColor(COLOR_HOTLIGHT))
                                : vcl::clBtnText;
  DrawNavigatorGlyph(ACanvas, R, AKind, pressed, enabled, color);
}

void TcxPCStandardPainter::DrawNavigatorGlyph(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButton AKind,
                                              bool APressed, bool AEnabled, vcl::TColor AColor,
                                              bool AEmbossDisabled, vcl::TColor ADisabledFill)
{
  const bool pressed = APressed;
  const bool vertical = !FViewInfo->IsTopOrBottom();
  const bool goDialog = AKind == TcxPCNavigatorButton::nbGoDialog;
  const bool embossed = !AEnabled && AEmbossDisabled;
  if (AKind == TcxPCNavigatorButton::nbClose) {
    // A cross of two diagonals three pixels thick, two when a disabled
    // glyph is drawn once.
    const int size = Scaled(8);
    const int x = R.left + (R.right - R.left - size) / 2 + (pressed ? 1 : 0);
    const int y = R.top + (R.bottom - R.top - size) / 2 + (pressed ? 1 : 0);
    const int thinStart = !AEnabled && !AEmbossDisabled ? 0 : -1;
    auto drawCross = [&](int AX, int AY, vcl::TColor AColor2) {
      for (int i = 0; i < size; ++i)
        for (int t = thinStart; t <= 1; ++t) {
          if (i + t >= 0 && i + t < size) {
            ACanvas->SetPixel(AX + i + t, AY + i, AColor2);
            ACanvas->SetPixel(AX + size - 1 - i - t, AY + i, AColor2);
          }
        }
    };
    if (embossed) {
      drawCross(x + 1, y + 1, vcl::clBtnHighlight);
      drawCross(x, y, vcl::clBtnShadow);
    } else {
      drawCross(x, y, AColor);
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
  auto drawArrow = [&](int AX, int AY, vcl::TColor APenColor, vcl::TColor ABrushColor) {
    std::array<TPoint, 3> points;
    for (int i = 0; i < 3; ++i)
      points[i] = TPoint{AX + corners[direction][i].x * unitX, AY + corners[direction][i].y * unitY};
    ACanvas->GetPen()->SetColor(APenColor);
    ACanvas->GetBrush()->SetColor(ABrushColor);
    ACanvas->Polygon(points);
  };
  if (embossed) {
    drawArrow(x + 1, y + 1, vcl::clBtnHighlight, vcl::clBtnHighlight);
    drawArrow(x, y, vcl::clBtnShadow, vcl::clBtnShadow);
  } else {
    drawArrow(x, y, AColor, !AEnabled && ADisabledFill != vcl::clNone ? ADisabledFill : AColor);
  }
}

TRect TcxPCStandardPainter::GetTabPaintRect(int AIndex)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  TRect R = tab->GetFullRect();
  // Only a tab that opens into the page reaches into it.
  if (tab->IsMainTab() && IsMainTabBoundWithClient())
    switch (tab->PaintingPosition()) {
      case TcxTabPosition::tpTop:
        ++R.bottom;
        break;
      case TcxTabPosition::tpBottom:
        --R.top;
        break;
      case TcxTabPosition::tpLeft:
        ++R.right;
        break;
      case TcxTabPosition::tpRight:
        --R.left;
        break;
    }
  return R;
}

TRect TcxPCStandardPainter::GetTabClipRect(int AIndex)
{
  // The main tab reaches one pixel into the page.
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  TRect clip = tab->GetVisibleRect();
  const TRect paint = GetTabPaintRect(AIndex);
  const TRect full = tab->GetFullRect();
  clip.left += paint.left - full.left;
  clip.top += paint.top - full.top;
  clip.right += paint.right - full.right;
  clip.bottom += paint.bottom - full.bottom;
  return clip;
}

void TcxPCStandardPainter::DrawTab(TcxCanvas* ACanvas, int AIndex)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  if (IsEmptyRect(tab->GetFullRect()) || IsEmptyRect(tab->GetVisibleRect()))
    return;
  const TRect R = GetTabPaintRect(AIndex);
  const TRect clip = GetTabClipRect(AIndex);
  rtl::TOwnedPtr<TcxBitmap> bitmap(rtl::NewWith<TcxBitmap>([&](TcxBitmap* B) {
    B->CreateSize(R.right - R.left, R.bottom - R.top, vcl::TPixelFormat::pf24bit);
  }));
  TcxCanvas* canvas = bitmap->GetcxCanvas();
  canvas->SetWindowOrg(TPoint{R.left, R.top});
  FillTabFace(canvas, R, AIndex, GetTabColor(AIndex));
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


void TcxPCStandardPainter::DrawTabFrame(TcxCanvas*, int, const TRect&) {}

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
  const vcl::TColor tabColor = GetTabColor(AIndex);
  DrawClassicTabFace(ACanvas, AIndex, ABitmapRect);
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

void TcxPCTabsPainter::DrawClassicTabFace(TcxCanvas* ACanvas, int AIndex, const TRect& ABitmapRect)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  const TRect full = tab->GetFullRect();
  const TcxTabPosition position = tab->PaintingPosition();
  const bool main = tab->IsMainTab();
  const vcl::TColor tabColor = GetTabColor(AIndex);
  ACanvas->FillRect(ABitmapRect, GetControlColor());
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

// ---------------------------------------------------------------------------
// TcxPCTabsPainter: themed drawing

namespace {

// The theme's state number of a header button: normal, hot, pressed,
// disabled as the theme numbers them (1 to 4).
int ThemeButtonState(TcxPCNavigatorButtonState AState)
{
  switch (AState) {
    case TcxPCNavigatorButtonState::nbsHotTrack:
      return 2;
    case TcxPCNavigatorButtonState::nbsPressed:
      return 3;
    case TcxPCNavigatorButtonState::nbsDisabled:
      return 4;
    default:
      return 1;
  }
}

}  // namespace

bool TcxPCTabsPainter::UsesTabTheme()
{
  IcxTabControl* owner = FViewInfo->GetOwner();
  return !owner->IsDestroying() && owner->GetControlLookAndFeel()->GetNativeStyle() && dxThemesAvailable() &&
         dxOpenTheme(TdxThemedObjectType::totTab) != nullptr;
}

bool TcxPCTabsPainter::IsNativePainting()
{
  return UsesTabTheme();
}

void TcxPCTabsPainter::GetNativeTabPartAndState(int AIndex, int& APart, int& AState)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  if (tab->IsMainTab())
    AState = TIS_SELECTED;
  else if (tab->IsHotTrack())
    AState = TIS_HOT;
  else
    AState = TIS_NORMAL;
  APart = TABP_TABITEM;
  if (FViewInfo->Properties()->GetIsTabsContainer())
    return;
  TcxPCLineIndexBoundsArray lines;
  FViewInfo->InitializeLineBoundsArray(lines);
  const int row = tab->GetVisibleRow();
  if (row < 0 || row >= static_cast<int>(lines.size()))
    return;
  const bool singleRow = FViewInfo->GetRowCount() <= 1 || FViewInfo->Properties()->GetRaggedRight();
  if (lines[row].Left == AIndex)
    APart = TABP_TABITEMLEFTEDGE;
  else if (lines[row].Right == AIndex &&
           (!singleRow || (AIndex == FViewInfo->TabsViewInfoCount() - 1 && !tab->IsMainTab())))
    APart = TABP_TABITEMRIGHTEDGE;
}

int TcxPCTabsPainter::GetHeaderButtonHeightBase()
{
  return UsesTabTheme() ? Scaled(21) : inherited::GetHeaderButtonHeightBase();
}

int TcxPCTabsPainter::GetHeaderButtonWidthBase(TcxPCNavigatorButton AButton)
{
  if (!UsesTabTheme())
    return inherited::GetHeaderButtonWidthBase(AButton);
  if (AButton == TcxPCNavigatorButton::nbGoDialog)
    return dxGetScaledSystemMetrics(SM_CYHSCROLL, ScaleFactor());
  return Scaled(17);
}

int TcxPCTabsPainter::GetHeaderButtonsDistance(TcxPCNavigatorButton AButton1, TcxPCNavigatorButton AButton2)
{
  if (!UsesTabTheme())
    return inherited::GetHeaderButtonsDistance(AButton1, AButton2);
  const bool goAndClose =
      (AButton1 == TcxPCNavigatorButton::nbGoDialog && AButton2 == TcxPCNavigatorButton::nbClose) ||
      (AButton1 == TcxPCNavigatorButton::nbClose && AButton2 == TcxPCNavigatorButton::nbGoDialog);
  return goAndClose ? Scaled(1) : 0;
}

vcl::TColor TcxPCTabsPainter::GetTabTextColor(int AIndex)
{
  if (!UsesTabTheme() || !GetTabViewInfo(AIndex)->IsHighlighted())
    return inherited::GetTabTextColor(AIndex);
  int part, state;
  GetNativeTabPartAndState(AIndex, part, state);
  COLORREF color;
  if (SUCCEEDED(dxUxGetThemeColor(dxOpenTheme(TdxThemedObjectType::totTab), part, state, TMT_TEXTCOLOR, &color)))
    return static_cast<vcl::TColor>(color);
  return FViewInfo->GetOwner()->GetControlFont()->GetColor();
}

void TcxPCTabsPainter::GetFrameWidths(TRect& AWidths)
{
  if (UsesTabTheme())
    GetNativePageFrameWidths(AWidths);
  else
    inherited::GetFrameWidths(AWidths);
}

void TcxPCTabsPainter::DrawBackground(TcxCanvas* ACanvas)
{
  IcxTabControl* owner = FViewInfo->GetOwner();
  if (!UsesTabTheme() || !owner->GetControlParentBackground()) {
    inherited::DrawBackground(ACanvas);
    return;
  }
  vcl::TWinControl* control = owner->GetOwnerControl();
  if (control && control->HandleAllocated()) {
    const RECT bounds = FViewInfo->GetControlBounds();
    dxUxDrawThemeParentBackground(control->GetHandle(), ACanvas->GetHandle(), &bounds);
  }
}

void TcxPCTabsPainter::PaintPageClientArea(TcxCanvas* ACanvas)
{
  if (!UsesTabTheme()) {
    inherited::PaintPageClientArea(ACanvas);
    return;
  }
  TRect R = GetPageFrameRect();
  if (IsEmptyRect(R))
    return;
  TRect widths;
  GetNativePageFrameWidths(widths);
  R.right = std::max<int>(R.right, R.left + widths.left + widths.right);
  R.bottom = std::max<int>(R.bottom, R.top + widths.top + widths.bottom);
  ACanvas->FillRect(R, GetControlColor());
  dxUxDrawThemeBackground(dxOpenTheme(TdxThemedObjectType::totTab), ACanvas->GetHandle(), TABP_PANE, 0, R);
  // The pane is the frame too.
  ACanvas->ExcludeClipRect(R);
}

void TcxPCTabsPainter::DrawFrame(TcxCanvas* ACanvas)
{
  if (!UsesTabTheme())
    inherited::DrawFrame(ACanvas);
}

void TcxPCTabsPainter::DrawTab(TcxCanvas* ACanvas, int AIndex)
{
  if (UsesTabTheme())
    DrawNativeTab(ACanvas, AIndex);
  else
    inherited::DrawTab(ACanvas, AIndex);
}

void TcxPCTabsPainter::DrawNativeTab(TcxCanvas* ACanvas, int AIndex)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  if (IsEmptyRect(tab->GetFullRect()) || IsEmptyRect(tab->GetVisibleRect()))
    return;
  const TRect R = GetTabPaintRect(AIndex);
  const TRect clip = GetTabClipRect(AIndex);
  const TcxTabPosition position = tab->PaintingPosition();
  const bool sideways = position == TcxTabPosition::tpLeft || position == TcxTabPosition::tpRight;
  const int width = R.right - R.left, height = R.bottom - R.top;
  // The theme draws tabs on top only: the tab is drawn so and turned to its
  // side.
  rtl::TOwnedPtr<TcxBitmap> bitmap(rtl::NewWith<TcxBitmap>([&](TcxBitmap* B) {
    B->CreateSize(sideways ? height : width, sideways ? width : height, vcl::TPixelFormat::pf24bit);
  }));
  TcxCanvas* canvas = bitmap->GetcxCanvas();
  const TRect face = bitmap->GetClientRect();
  FillBackground(canvas, face);
  int part, state;
  GetNativeTabPartAndState(AIndex, part, state);
  dxUxDrawThemeBackground(dxOpenTheme(TdxThemedObjectType::totTab), canvas->GetHandle(), part, state, face);
  switch (position) {
    case TcxTabPosition::tpBottom:
      bitmap->Flip(false, true);
      break;
    case TcxTabPosition::tpLeft:
      bitmap->Rotate(TcxRotationAngle::raPlus90);
      break;
    case TcxTabPosition::tpRight:
      bitmap->Rotate(TcxRotationAngle::raMinus90);
      break;
    default:
      break;
  }
  ACanvas->SaveClipRegion();
  ACanvas->IntersectClipRect(clip);
  BitBlt(ACanvas->GetHandle(), R.left, R.top, width, height, canvas->GetHandle(), 0, 0, SRCCOPY);
  DrawTabContent(ACanvas, AIndex);
  if (tab->IsFocused() && FViewInfo->GetOwner()->GetControlFocused()) {
    TRect focus = tab->GetFullRect();
    InflateRect(&focus, -Scaled(2), -Scaled(2));
    ACanvas->GetFont()->SetColor(vcl::clBtnText);
    ACanvas->DrawFocusRect(focus);
  }
  ACanvas->RestoreClipRegion();
  ACanvas->ExcludeClipRect(clip);
}

void TcxPCTabsPainter::DrawText(TcxCanvas* ACanvas, const rtl::String& AText, int AIndex, const TRect& R)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  // A colour the user's handler chose is kept: the theme would write its
  // own.
  if (!UsesTabTheme() || !tab->ActuallyEnabled() || FViewInfo->IsVerticalText() ||
      FViewInfo->IsCustomTextColorAssigned()) {
    inherited::DrawText(ACanvas, AText, AIndex, R);
    return;
  }
  int part, state;
  GetNativeTabPartAndState(AIndex, part, state);
  int flags = DT_VCENTER | GetTextFlags(tab, false);
  dxUxDrawThemeTextStr(dxOpenTheme(TdxThemedObjectType::totTab), ACanvas->GetHandle(), part, state, AText, -1,
                       static_cast<DWORD>(flags), 0, R);
}

void TcxPCTabsPainter::DrawNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButton AKind,
                                           TcxPCNavigatorButtonState AState)
{
  if (!UsesTabTheme()) {
    inherited::DrawNavigatorButton(ACanvas, R, AKind, AState);
    return;
  }
  ACanvas->FillRect(R, GetControlColor());
  const int state = ThemeButtonState(AState);
  TRect rect = R;
  HTHEME theme = nullptr;
  int part = 0, partState = state;
  switch (AKind) {
    case TcxPCNavigatorButton::nbClose:
      theme = dxOpenTheme(TdxThemedObjectType::totWindow);
      part = WP_SMALLCLOSEBUTTON;
      break;
    case TcxPCNavigatorButton::nbGoDialog:
      theme = dxOpenTheme(TdxThemedObjectType::totComboBox);
      part = CP_DROPDOWNBUTTON;
      break;
    default: {
      theme = dxOpenTheme(TdxThemedObjectType::totScrollBar);
      part = SBP_ARROWBTN;
      // The arrow states come in fours: up, down, left, right.
      const bool vertical = !FViewInfo->IsTopOrBottom();
      const bool first = AKind == TcxPCNavigatorButton::nbTopLeft;
      const int group = vertical ? (first ? 0 : 1) : (first ? 2 : 3);
      partState = group * 4 + state;
      break;
    }
  }
  // The go-dialog and close buttons stand one pixel shorter across the tabs.
  if (AKind == TcxPCNavigatorButton::nbClose || AKind == TcxPCNavigatorButton::nbGoDialog) {
    if (FViewInfo->IsTopOrBottom())
      --rect.bottom;
    else
      --rect.right;
  }
  if (theme)
    dxUxDrawThemeBackground(theme, ACanvas->GetHandle(), part, partState, rect);
}
