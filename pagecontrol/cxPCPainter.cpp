// The abstract tab painter and the routines the layout and the painters
// share.
#include "pagecontrol/cxPC.h"

#include <algorithm>
#include <cstdlib>

#include <vssym32.h>

#include "core/cxGeometry.h"
#include "graphics/dxCoreGraphics.h"
#include "core/dxThemeManager.h"
#include "core/dxUxTheme.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "platform/rtl/System.h"

namespace {

TcxButtonState cxPCButtonState(TcxPCNavigatorButtonState AState)
{
  switch (AState) {
    case TcxPCNavigatorButtonState::nbsPressed:
      return TcxButtonState::cxbsPressed;
    case TcxPCNavigatorButtonState::nbsHotTrack:
      return TcxButtonState::cxbsHot;
    case TcxPCNavigatorButtonState::nbsDisabled:
      return TcxButtonState::cxbsDisabled;
    default:
      return TcxButtonState::cxbsNormal;
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// Routines

TRect RotateTabRect(const TRect& R, TcxTabPosition ATabPosition)
{
  switch (ATabPosition) {
    case TcxTabPosition::tpBottom:
      return TRect{R.right, R.bottom, R.left, R.top};
    case TcxTabPosition::tpLeft:
      return TRect{R.top, R.right, R.bottom, R.left};
    case TcxTabPosition::tpRight:
      return TRect{R.bottom, R.left, R.top, R.right};
    default:
      return R;
  }
}

TRect UnrotateTabRect(const TRect& R, TcxTabPosition ATabPosition)
{
  switch (ATabPosition) {
    case TcxTabPosition::tpLeft:
      return RotateTabRect(R, TcxTabPosition::tpRight);
    case TcxTabPosition::tpRight:
      return RotateTabRect(R, TcxTabPosition::tpLeft);
    default:
      return RotateTabRect(R, ATabPosition);
  }
}

TcxTabPosition GetOppositeRotationPosition(TcxTabPosition ATabPosition)
{
  switch (ATabPosition) {
    case TcxTabPosition::tpLeft:
      return TcxTabPosition::tpRight;
    case TcxTabPosition::tpRight:
      return TcxTabPosition::tpLeft;
    default:
      return ATabPosition;
  }
}

void NormalizeRectSize(TRect& R)
{
  R.right = std::max(R.right, R.left);
  R.bottom = std::max(R.bottom, R.top);
}

int GetPointCoordinate(const TPoint& P, bool AIsY)
{
  return AIsY ? P.y : P.x;
}

void SetPointCoordinate(TPoint& P, bool AIsY, int AValue)
{
  (AIsY ? P.y : P.x) = AValue;
}

void SetRectSide(TRect& R, bool AIsLeftOrTop, bool AIsY, int AValue)
{
  if (AIsLeftOrTop)
    (AIsY ? R.top : R.left) = AValue;
  else
    (AIsY ? R.bottom : R.right) = AValue;
}

TPoint MirrorTabPoint(const TPoint& P, const TRect& R, TcxTabPosition APosition)
{
  switch (APosition) {
    case TcxTabPosition::tpBottom:
      return TPoint{P.x, R.top + R.bottom - P.y - 1};
    case TcxTabPosition::tpLeft:
      return TPoint{P.y + R.right - R.bottom, R.bottom + R.left - P.x - 1};
    case TcxTabPosition::tpRight:
      return TPoint{R.bottom + R.left - P.y - 1, R.bottom + R.left - P.x - 1};
    default:
      return P;
  }
}

// ---------------------------------------------------------------------------
// TcxPCCustomPainter

void TcxPCCustomPainter::Create(TcxCustomTabControlViewInfo* AViewInfo)
{
  FViewInfo = AViewInfo;
}

TdxScaleFactor* TcxPCCustomPainter::ScaleFactor() const
{
  return FViewInfo->ScaleFactor();
}

int TcxPCCustomPainter::Scaled(int AValue) const
{
  TdxScaleFactor* scaleFactor = FViewInfo ? ScaleFactor() : nullptr;
  return scaleFactor ? scaleFactor->Apply(AValue) : AValue;
}

int TcxPCCustomPainter::CalculateTabNormalHeight()
{
  rtl::AbstractError();
}

int TcxPCCustomPainter::CalculateTabNormalWidth(TcxTabViewInfo*)
{
  rtl::AbstractError();
}

int TcxPCCustomPainter::GetHeaderButtonHeightBase()
{
  rtl::AbstractError();
}

int TcxPCCustomPainter::GetHeaderButtonWidthBase(TcxPCNavigatorButton)
{
  rtl::AbstractError();
}

int TcxPCCustomPainter::GetHeaderButtonHeight()
{
  int result = GetHeaderButtonHeightBase();
  cxEnsureTouchExtent(result, ScaleFactor());
  return result;
}

int TcxPCCustomPainter::GetHeaderButtonWidth(TcxPCNavigatorButton AButton)
{
  int result = GetHeaderButtonWidthBase(AButton);
  cxEnsureTouchExtent(result, ScaleFactor());
  return result;
}

int TcxPCCustomPainter::GetMinTabWidth(int)
{
  rtl::AbstractError();
}

void TcxPCCustomPainter::CalculateTabsPosition(TcxPCTabsPosition&)
{
  rtl::AbstractError();
}

TRect TcxPCCustomPainter::GetTabContentOffsetsRect(int AIndex)
{
  const TPoint offsets = GetTabContentOffsets(AIndex);
  return TRect{offsets.x, 0, offsets.y, 0};
}

TRect TcxPCCustomPainter::GetTabTextOffsets(int)
{
  rtl::AbstractError();
}

TRect TcxPCCustomPainter::GetTabImageOffsets(int)
{
  rtl::AbstractError();
}

TPoint TcxPCCustomPainter::GetTabContentOffsets(int)
{
  rtl::AbstractError();
}

TPoint TcxPCCustomPainter::GetTooLongTextContentOffsets(int)
{
  rtl::AbstractError();
}

bool TcxPCCustomPainter::IsTabDrawnDown(int)
{
  rtl::AbstractError();
}

bool TcxPCCustomPainter::HasFrame()
{
  return FViewInfo->Properties()->GetShowFrame();
}

void TcxPCCustomPainter::GetTabsAreaExtents(TRect& AExtents)
{
  AExtents = TRect{};
  const TRect TL = FViewInfo->GetExtendedTopOrLeftTabsRect();
  const TRect BR = FViewInfo->GetExtendedBottomOrRightTabsRect();
  const TRect bounds = FViewInfo->GetControlBounds();
  const int height = bounds.bottom - bounds.top;
  const int width = bounds.right - bounds.left;
  const int rows = FViewInfo->GetRowCount();
  const int topOrLeftRows = FViewInfo->GetTopOrLeftPartRowCount();
  const bool noRoom = FViewInfo->GetTabsPosition().NormalRowWidth < 1;
  switch (FViewInfo->TabPosition()) {
    case TcxTabPosition::tpTop:
      AExtents.top = TL.bottom;
      if (topOrLeftRows != rows)
        AExtents.bottom = height - BR.top;
      break;
    case TcxTabPosition::tpBottom:
      AExtents.top = noRoom ? TL.top : height - BR.top;
      if (topOrLeftRows != 0)
        AExtents.bottom = TL.bottom;
      break;
    case TcxTabPosition::tpLeft:
      AExtents.top = TL.right;
      if (topOrLeftRows != rows)
        AExtents.bottom = width - BR.left;
      break;
    case TcxTabPosition::tpRight:
      AExtents.top = noRoom ? TL.left : width - BR.left;
      if (topOrLeftRows != 0)
        AExtents.bottom = TL.right;
      break;
  }
}

void TcxPCCustomPainter::GetPageFrameOffsets(TRect& AOffsets)
{
  AOffsets = TRect{};
  if (FViewInfo->IsTabsVisible())
    GetTabsAreaExtents(AOffsets);
}

TcxBorders TcxPCCustomPainter::GetFrameSides() const
{
  if (FViewInfo->IsPageFramedOnAllSides())
    return cxBordersAll;
  if (!FViewInfo->IsTabsVisible())
    return TcxBorders{};
  const bool bothSides = FViewInfo->IsTabsOnBothSides();
  auto sides = [bothSides](TcxBorder ATabSide, TcxBorder AOppositeSide) {
    return bothSides ? TcxBorders{ATabSide, AOppositeSide} : TcxBorders{ATabSide};
  };
  switch (FViewInfo->TabPosition()) {
    case TcxTabPosition::tpTop:
      return sides(TcxBorder::bTop, TcxBorder::bBottom);
    case TcxTabPosition::tpBottom:
      return sides(TcxBorder::bBottom, TcxBorder::bTop);
    case TcxTabPosition::tpLeft:
      return sides(TcxBorder::bLeft, TcxBorder::bRight);
    case TcxTabPosition::tpRight:
      return sides(TcxBorder::bRight, TcxBorder::bLeft);
  }
  return TcxBorders{};
}

void TcxPCCustomPainter::GetFrameWidths(TRect& AWidths)
{
  const int width = GetFrameWidth();
  AWidths = TRect{width, width, width, width};
}

void TcxPCCustomPainter::GetPageClientRectOffset(TRect& AOffsets)
{
  GetPageFrameOffsets(AOffsets);
  if (!HasFrame())
    return;
  // The widths belong to the real sides; only the framed ones count.
  TRect widths;
  GetFrameWidths(widths);
  const TcxBorders sides = GetFrameSides();
  TRect framed{sides.Contains(TcxBorder::bLeft) ? widths.left : 0, sides.Contains(TcxBorder::bTop) ? widths.top : 0,
               sides.Contains(TcxBorder::bRight) ? widths.right : 0,
               sides.Contains(TcxBorder::bBottom) ? widths.bottom : 0};
  framed = UnrotateTabRect(framed, FViewInfo->TabPosition());
  AOffsets.left += framed.left;
  AOffsets.top += framed.top;
  AOffsets.right += framed.right;
  AOffsets.bottom += framed.bottom;
}

bool TcxPCCustomPainter::HasPageRoom() const
{
  auto depth = [this](const TRect& R) {
    if (R.right <= R.left || R.bottom <= R.top)
      return 0;
    return static_cast<int>(FViewInfo->IsTopOrBottom() ? R.bottom - R.top : R.right - R.left);
  };
  const TRect bounds = FViewInfo->GetControlBounds();
  const int size = FViewInfo->IsTopOrBottom() ? bounds.bottom - bounds.top : bounds.right - bounds.left;
  return depth(FViewInfo->GetExtendedTopOrLeftTabsRect()) + depth(FViewInfo->GetExtendedBottomOrRightTabsRect()) <
         size;
}

TRect TcxPCCustomPainter::GetPageFrameRect()
{
  if (!HasPageRoom())
    return TRect{};
  TRect offsets;
  GetPageFrameOffsets(offsets);
  offsets = RotateTabRect(offsets, FViewInfo->TabPosition());
  TRect R = FViewInfo->GetControlBounds();
  R.left += offsets.left;
  R.top += offsets.top;
  R.right -= offsets.right;
  R.bottom -= offsets.bottom;
  NormalizeRectSize(R);
  return R;
}

TRect TcxPCCustomPainter::GetPageClientRect()
{
  if (!HasPageRoom())
    return TRect{};
  TRect offsets;
  GetPageClientRectOffset(offsets);
  offsets = RotateTabRect(offsets, FViewInfo->TabPosition());
  TRect R = FViewInfo->GetControlBounds();
  R.left += offsets.left;
  R.top += offsets.top;
  R.right -= offsets.right;
  R.bottom -= offsets.bottom;
  NormalizeRectSize(R);
  return R;
}

void TcxPCCustomPainter::GetNativePageFrameWidths(TRect& AWidths)
{
  AWidths = TRect{};
  const HTHEME theme = dxOpenTheme(TdxThemedObjectType::totTab);
  const RECT bounds{0, 0, 100, 100};
  RECT content = bounds;
  if (!theme || FAILED(dxUxGetThemeBackgroundContentRect(theme, nullptr, TABP_PANE, 0, bounds, &content)))
    return;
  AWidths = TRect{content.left, content.top, bounds.right - content.right, bounds.bottom - content.bottom};
  if (dxIsClassicXPVisualStyle()) {
    const int width = FViewInfo->Properties()->GetIsTabsContainer() ? 3 : std::max(AWidths.left, AWidths.top);
    AWidths = TRect{width, width, 2 * width, 2 * width};
  }
}

vcl::TColor TcxPCCustomPainter::GetControlColor()
{
  const vcl::TColor color = FViewInfo->GetOwner()->GetControlColor();
  return color == vcl::clNone ? vcl::clBtnFace : color;
}

vcl::TColor TcxPCCustomPainter::GetPageColor()
{
  return GetControlColor();
}

vcl::TColor TcxPCCustomPainter::GetPageClientColor()
{
  return FViewInfo->HasOwnPageColor() ? FViewInfo->GetActivePageColor() : GetPageColor();
}

vcl::TColor TcxPCCustomPainter::GetTabColor(int)
{
  rtl::AbstractError();
}

TPoint TcxPCCustomPainter::GetGoDialogPopupPoint(const TSize&)
{
  rtl::AbstractError();
}

vcl::TColor TcxPCCustomPainter::GetTabOwnColor(int AIndex)
{
  return FViewInfo->GetTabColor(AIndex);
}

rtl::IPtr<IdxColorPalette> TcxPCCustomPainter::GetTabImagePalette()
{
  return nullptr;
}

rtl::IPtr<IdxColorPalette> TcxPCCustomPainter::GetHeaderButtonImagePalette(TcxPCNavigatorButtonState)
{
  return nullptr;
}

rtl::IPtr<IdxColorPalette> TcxPCCustomPainter::GetTabButtonImagePalette(TcxPCNavigatorButtonState AState)
{
  if (!UseLookAndFeelTabButtons())
    return nullptr;
  return GetLookAndFeelPainter()->GetSmallButtonColorPalette(cxPCButtonState(AState));
}

vcl::TColor TcxPCCustomPainter::GetTabTextColor(int AIndex)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  if (tab->IsHighlighted())
    return vcl::clHighlightText;
  if (tab->IsHotTrack())
    return GetHotTabTextColor(AIndex);
  return vcl::clBtnText;
}

vcl::TColor TcxPCCustomPainter::GetHotTabTextColor(int AIndex)
{
  // Some platforms (Wine among them) make the hot-light colour a light
  // grey, which vanishes on a light tab: the selection colour stands in.
  const COLORREF hot = GetSysColor(COLOR_HOTLIGHT);
  const COLORREF face = static_cast<COLORREF>(vcl::ColorToRGB(GetTabColor(AIndex)));
  auto luminance = [](COLORREF AColor) {
    return (GetRValue(AColor) * 299 + GetGValue(AColor) * 587 + GetBValue(AColor) * 114) / 1000;
  };
  constexpr int cxMinTextContrast = 96;
  if (std::abs(luminance(hot) - luminance(face)) >= cxMinTextContrast)
    return static_cast<vcl::TColor>(hot);
  return vcl::clHighlight;
}

TcxCustomLookAndFeelPainter* TcxPCCustomPainter::GetLookAndFeelPainter()
{
  return FViewInfo->GetOwner()->GetControlLookAndFeel()->GetPainter();
}

int TcxPCCustomPainter::GetTextFlags(TcxTabViewInfo* ATabViewInfo, bool AMeasuring) const
{
  int flags = DT_SINGLELINE;
  if (AMeasuring)
    flags |= DT_CALCRECT;
  else if (ATabViewInfo->GetIsTextTooLong())
    flags |= DT_END_ELLIPSIS;
  if (!ATabViewInfo->GetShowAccelChar())
    flags |= DT_NOPREFIX;
  if (FViewInfo->UseRightToLeftAlignment())
    flags |= DT_RTLREADING;
  return flags;
}

int TcxPCCustomPainter::GetLargestTabTextHeight() const
{
  int result = 0;
  for (int i = 0; i < FViewInfo->TabsViewInfoCount(); ++i)
    result = std::max(result, static_cast<int>(FViewInfo->GetTabViewInfo(i)->GetTextSize().cy));
  return result;
}

// ---------------------------------------------------------------------------
// Drawing

void TcxPCCustomPainter::Paint(TcxCanvas* ACanvas)
{
  // The parts exclude what they paint from the clip; the caller gets its
  // clip back.
  ACanvas->SaveClipRegion();
  try {
    DoPaint(ACanvas);
    DrawBackground(ACanvas);
  } catch (...) {
    ACanvas->RestoreClipRegion();
    throw;
  }
  ACanvas->RestoreClipRegion();
}

void TcxPCCustomPainter::DoPaint(TcxCanvas* ACanvas)
{
  const bool tabsFirst = IsTabsDrawnFirst();
  if (tabsFirst && FViewInfo->IsTabsVisible())
    DrawTabsArea(ACanvas);
  PaintPageClientArea(ACanvas);
  if (HasFrame())
    DrawFrame(ACanvas);
  ACanvas->ExcludeClipRect(GetPageFrameRect());
  if (!tabsFirst && FViewInfo->IsTabsVisible())
    DrawTabsArea(ACanvas);
}

void TcxPCCustomPainter::DrawBackground(TcxCanvas* ACanvas)
{
  FillBackground(ACanvas, FViewInfo->GetControlBounds());
}

void TcxPCCustomPainter::FillBackground(TcxCanvas* ACanvas, const TRect& R)
{
  ACanvas->FillRect(R, GetControlColor());
}

void TcxPCCustomPainter::PaintPageClientArea(TcxCanvas* ACanvas)
{
  FillPageClientArea(ACanvas);
  // What is painted leaves the clip; the frame around it comes next.
  ACanvas->ExcludeClipRect(GetPageClientRect());
}

void TcxPCCustomPainter::FillPageClientArea(TcxCanvas* ACanvas)
{
  ACanvas->FillRect(GetPageClientRect(), GetPageClientColor());
}

void TcxPCCustomPainter::FillTabFace(TcxCanvas* ACanvas, const TRect& R, int, vcl::TColor AColor)
{
  ACanvas->FillRect(R, AColor);
}

void TcxPCCustomPainter::DrawNavigatorButton(TcxCanvas*, const TRect&, TcxPCNavigatorButton, TcxPCNavigatorButtonState)
{
  rtl::AbstractError();
}

bool TcxPCCustomPainter::AreTabsInvalid(TcxCanvas* ACanvas)
{
  if (FViewInfo->GetTabsPosition().NormalRowWidth < 1)
    return false;
  const TRect bounds = FViewInfo->GetControlBounds();
  const TRect frame = GetPageFrameRect();
  const TRect bands[] = {{bounds.left, bounds.top, bounds.right, frame.top},
                         {bounds.left, frame.bottom, bounds.right, bounds.bottom},
                         {bounds.left, bounds.top, frame.left, bounds.bottom},
                         {frame.right, bounds.top, bounds.right, bounds.bottom}};
  return std::any_of(std::begin(bands), std::end(bands), [ACanvas](const TRect& R) {
    return R.right > R.left && R.bottom > R.top && ACanvas->RectVisible(R);
  });
}

void TcxPCCustomPainter::DrawTabsArea(TcxCanvas* ACanvas)
{
  if (FViewInfo->IsTopOrBottom() || FViewInfo->GetTabsPosition().NormalRowWidth >= 1)
    DrawNavigatorButtons(ACanvas);
  if (AreTabsInvalid(ACanvas))
    DrawTabs(ACanvas);
}

void TcxPCCustomPainter::DrawTabs(TcxCanvas*)
{
  rtl::AbstractError();
}

void TcxPCCustomPainter::DrawTab(TcxCanvas*, int)
{
  rtl::AbstractError();
}

void TcxPCCustomPainter::DrawTabContent(TcxCanvas* ACanvas, int AIndex)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  FViewInfo->PrepareTabCanvasFont(tab, ACanvas);
  if (tab->HasImage() && FViewInfo->HasImages())
    FViewInfo->Properties()->GetImages()->Draw(ACanvas, tab->GetImageRect(), tab->GetImageIndex(),
                                                tab->ActuallyEnabled(), tab->IsHotTrack(), GetTabImagePalette().Get());
  if (tab->HasCaption())
    DrawTabText(ACanvas, tab->GetTextRect(), AIndex, tab->ActuallyEnabled(), tab->GetCaption());
  if (tab->HasButtons())
    DrawTabButtons(ACanvas, AIndex);
}

void TcxPCCustomPainter::DrawTabText(TcxCanvas* ACanvas, const TRect& R, int AIndex, bool AEnabled,
                                     const rtl::String& ACaption)
{
  if (AEnabled) {
    DrawText(ACanvas, ACaption, AIndex, R);
    return;
  }
  ACanvas->GetFont()->SetColor(vcl::clBtnHighlight);
  if (IsDisabledTextEmbossed()) {
    TRect moved = R;
    switch (GetTabViewInfo(AIndex)->GetRelativeTextRotationAngle()) {
      case TcxRotationAngle::raPlus90:
        OffsetRect(&moved, 1, -1);
        break;
      case TcxRotationAngle::raMinus90:
        OffsetRect(&moved, -1, 1);
        break;
      default:
        OffsetRect(&moved, 1, 1);
        break;
    }
    DrawText(ACanvas, ACaption, AIndex, moved);
    ACanvas->GetFont()->SetColor(vcl::clBtnShadow);
  }
  DrawText(ACanvas, ACaption, AIndex, R);
}

void TcxPCCustomPainter::DrawText(TcxCanvas* ACanvas, const rtl::String& AText, int AIndex, const TRect& R)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  int flags = cxtfSingleLine | cxtfAlignLeft | cxtfAlignVCenter;
  if (tab->GetIsTextTooLong())
    flags |= cxtfEndEllipsis;
  if (tab->GetShowAccelChar())
    flags |= cxtfShowPrefix;
  if (FViewInfo->UseRightToLeftAlignment())
    flags |= cxtfRtlReading;
  ACanvas->GetBrush()->SetStyle(vcl::TBrushStyle::bsClear);
  ACanvas->DrawTexT(AText, R, flags, true, GetPaintTextRotationAngle());
}

TcxRotationAngle TcxPCCustomPainter::GetPaintTextRotationAngle()
{
  return IsNativePainting() ? TcxRotationAngle::ra0 : FViewInfo->GetTextRotationAngle();
}

void TcxPCCustomPainter::InvalidateTab(int AIndex)
{
  FViewInfo->Invalidate(GetTabViewInfo(AIndex)->GetVisibleRect());
}

// ---------------------------------------------------------------------------
// Tab drag and drop

void TcxPCCustomPainter::PaintDragImage(TcxCanvas* ACanvas, int AIndex)
{
  FIsDragImagePainted = true;
  try {
    DrawTab(ACanvas, AIndex);
  } catch (...) {
    FIsDragImagePainted = false;
    throw;
  }
  FIsDragImagePainted = false;
}

// The dragged tab lands before the destination tab when it moves toward the
// start of the row, after it otherwise: the gap is that edge of the
// destination, a line across the row.
void TcxPCCustomPainter::CalculateDragArrowRects(int ADraggedIndex, int, int ADestinationIndex, TRect& AFirst,
                                                 TRect& ASecond)
{
  const TRect R = GetTabViewInfo(ADestinationIndex)->GetNormalRect();
  const bool topOrBottom = FViewInfo->IsTopOrBottom();
  const bool reversed = topOrBottom ? FViewInfo->IsRightToLeftAlignment() != FViewInfo->UseRightToLeftAlignment()
                                    : FViewInfo->IsBottomToTopAlignment();
  const bool atLowEdge = (ADestinationIndex < ADraggedIndex) != reversed;
  if (topOrBottom) {
    const int x = atLowEdge ? R.left : R.right;
    AFirst = TRect{x, R.top, x, R.bottom};
  } else {
    const int y = atLowEdge ? R.top : R.bottom;
    AFirst = TRect{R.left, y, R.right, y};
  }
  ASecond = AFirst;
}
