// The skin painter's calendars and scheduler: the modern and classic
// calendar's cells, headers and arrows, the date navigator, and the
// scheduler's day headers, event progress, group and milestone markers,
// group separators, navigation buttons and navigator buttons.
#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/cxGraphicsColors.h"
#include "graphics/cxGraphicsDraw.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/GraphicsHandles.h"
#include "skins/dxSkinsLookAndFeelPainter.h"

using enum TcxArrowDirection;
using enum TcxButtonState;
using enum TcxCalendarElementState;
using enum TdxSkinElementState;

using namespace vcl;

// ---------------------------------------------------------------------------
// Modern calendar

void TdxSkinLookAndFeelPainter::DrawScaledModernCalendarArrow(TcxCanvas* ACanvas, const TRect& ARect,
                                                              TcxArrowDirection ADirection,
                                                              TcxCalendarElementState AState,
                                                              const TdxScaleFactor* AScaleFactor)
{
  static constexpr TdxSkinElementState kMap[] = {esNormal, esHot, esPressed, esPressed, esNormal, esNormal, esDisabled};
  // The skin has the left and right arrows only: the vertical ones point the
  // inherited way.
  if (ADirection == adLeft || ADirection == adRight) {
    if (DrawSkinElement(SkinInfo()->CalendarNavigationButton, ACanvas, ADirection == adRight ? 1 : 0,
                        kMap[static_cast<int>(AState)], AScaleFactor, ARect))
      return;
  }
  inherited::DrawScaledModernCalendarArrow(ACanvas, ARect, ADirection, AState, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawModernCalendarDateCellSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                                    TcxCalendarElementStates AStates)
{
  if (!DrawSkinElementAtSystemScale(SkinInfo()->HighlightedItem, ACanvas, AStates.Contains(cesMarked) ? 1 : 0,
                                    esNormal, ARect)) {
    inherited::DrawModernCalendarDateCellSelection(ACanvas, ARect, AStates);
    return;
  }
  if (AStates.Contains(cesFocused))
    ACanvas->DrawFocusRect(ARect);
}

void TdxSkinLookAndFeelPainter::DrawModernCalendarDateHeaderSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                                      TcxCalendarElementStates AStates)
{
  DrawModernCalendarHeaderSelection(ACanvas, ARect, AStates);
}

void TdxSkinLookAndFeelPainter::DrawModernCalendarHeaderSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                                  TcxCalendarElementStates AStates)
{
  if (AStates.Contains(cesHot) || AStates.Contains(cesPressed))
    DrawSkinElementAtSystemScale(SkinInfo()->HighlightedItem, ACanvas, 0, esNormal, ARect);
}

TColor TdxSkinLookAndFeelPainter::GetModernCalendarCellTextColor(TcxCalendarElementStates AStates)
{
  if (AStates.Contains(cesDisabled))
    return DefaultDateNavigatorInactiveTextColor();
  if (AStates.Contains(cesHot) || (AStates.Contains(cesSelected) && !AStates.Contains(cesMarked)))
    return DefaultDateNavigatorSelectionTextColor();
  return DefaultDateNavigatorTextColor();
}

TColor TdxSkinLookAndFeelPainter::GetModernCalendarDateHeaderTextColor(TcxCalendarElementStates AStates)
{
  return AStates.Contains(cesHot) ? DefaultDateNavigatorSelectionTextColor() : DefaultDateNavigatorTextColor();
}

TColor TdxSkinLookAndFeelPainter::GetModernCalendarHeaderTextColor()
{
  return GetModernCalendarDateHeaderTextColor({});
}

TRect TdxSkinLookAndFeelPainter::GetModernCalendarHeaderTextOffsets()
{
  TdxSkinElement* element = SkinInfo()->HighlightedItem;
  if (!element)
    return inherited::GetModernCalendarHeaderTextOffsets();
  const TRect offsets = element->GetContentOffset()->GetRect();
  return {offsets.left + 4, offsets.top + 2, offsets.right + 4, offsets.bottom + 2};
}

// ---------------------------------------------------------------------------
// Classic calendar and date navigator

void TdxSkinLookAndFeelPainter::DrawCalendarDateCellSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                              TcxCalendarElementStates AStates)
{
  // Today's picture stands for a selected today as well.
  if (AStates.Contains(cesMarked))
    DrawDateNavigatorTodayCellSelection(ACanvas, ARect);
  else if (AStates.Contains(cesSelected))
    DrawDateNavigatorCellSelection(ACanvas, ARect, DefaultDateNavigatorSelectionColor());
}

void TdxSkinLookAndFeelPainter::DrawDateNavigatorCellSelection(TcxCanvas* ACanvas, const TRect& R, TColor AColor)
{
  if (!DrawSkinElementAtSystemScale(SkinInfo()->HighlightedItem, ACanvas, 0, esNormal, R))
    inherited::DrawDateNavigatorCellSelection(ACanvas, R, AColor);
}

void TdxSkinLookAndFeelPainter::DrawDateNavigatorTodayCellSelection(TcxCanvas* ACanvas, const TRect& R)
{
  if (!DrawSkinElementAtSystemScale(SkinInfo()->HighlightedItem, ACanvas, 1, esNormal, R))
    inherited::DrawDateNavigatorTodayCellSelection(ACanvas, R);
}

void TdxSkinLookAndFeelPainter::DrawDateNavigatorDateHeader(TcxCanvas* ACanvas, TRect& R)
{
  R.left -= 1;
  R.right += 1;
  DrawScaledHeader(ACanvas, R, cxNullRect, {}, {}, cxbsNormal, rtl::TAlignment::taCenter, TcxAlignmentVert::vaCenter,
                   false, false, rtl::String(), nullptr, static_cast<TColor>(0), static_cast<TColor>(0),
                   dxGetDefaultScaleFactor());
}

void TdxSkinLookAndFeelPainter::DrawScaledMonthHeader(TcxCanvas* ACanvas, const TRect& ABounds,
                                                      const rtl::String& AText, TcxNeighbors ANeighbors,
                                                      const TcxViewParams& AViewParams, TcxArrowDirections AArrows,
                                                      int, const TdxScaleFactor* AScaleFactor,
                                                      TcxDrawBackgroundEvent AOnDrawBackground)
{
  DrawScaledHeader(ACanvas, ABounds, ABounds, ANeighbors, HeaderBorders(ANeighbors), cxbsNormal,
                   rtl::TAlignment::taCenter, TcxAlignmentVert::vaCenter, false, false, AText, AViewParams.Font,
                   AViewParams.TextColor, AViewParams.Color, AScaleFactor, AOnDrawBackground);
  cxDrawMonthHeaderArrows(ACanvas, this, ABounds, AArrows, DefaultDateNavigatorHeaderTextColor(false));
}

// ---------------------------------------------------------------------------
// Scheduler elements

void TdxSkinLookAndFeelPainter::DrawSchedulerDayHeader(TcxCanvas* ACanvas, const TRect& ABounds,
                                                       const TRect& ATextAreaBounds, TcxNeighbors ANeighbors,
                                                       TcxBorders ABorders, TcxButtonState AState,
                                                       rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                                       bool AMultiLine, bool AShowEndEllipsis, const rtl::String& AText,
                                                       TFont* AFont, TColor ATextColor, TColor ABkColor,
                                                       const TdxScaleFactor* AScaleFactor,
                                                       TcxDrawBackgroundEvent AOnDrawBackground, bool AIsLast,
                                                       bool AIsGroup)
{
  DrawScaledHeader(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders, AState, AAlignmentHorz, AAlignmentVert,
                   AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor, AScaleFactor, AOnDrawBackground,
                   AIsLast, AIsGroup);
}

void TdxSkinLookAndFeelPainter::DrawSchedulerEventProgress(TcxCanvas* ACanvas, const TRect& ABounds,
                                                           const TRect& AProgress, const TcxViewParams& AViewParams,
                                                           bool ATransparent)
{
  TdxSkinLookAndFeelPainterInfo* info = SkinInfo();
  if (!info->ProgressBarElements[0] || !info->ProgressBarElements[2]) {
    inherited::DrawSchedulerEventProgress(ACanvas, ABounds, AProgress, AViewParams, ATransparent);
    return;
  }
  DrawSkinElementAtSystemScale(info->ProgressBarElements[0], ACanvas, 0, esNormal, ABounds);
  DrawSkinElementAtSystemScale(info->ProgressBarElements[2], ACanvas, 0, esNormal, AProgress);
}

TRect TdxSkinLookAndFeelPainter::SchedulerEventProgressOffsets()
{
  TdxSkinElement* element = SkinInfo()->ProgressBarElements[0];
  return element ? element->GetContentOffset()->GetRect() : inherited::SchedulerEventProgressOffsets();
}

TColor TdxSkinLookAndFeelPainter::SchedulerNavigationButtonTextColor(bool AIsNextButton, TcxButtonState AState,
                                                                     TColor ADefaultColor)
{
  TdxSkinElement* element = SkinInfo()->SchedulerNavigationButtons[AIsNextButton];
  if (!element)
    return inherited::SchedulerNavigationButtonTextColor(AIsNextButton, AState, ADefaultColor);
  const TColor color = element->GetTextColor(AState);
  return color != clDefault ? color : ADefaultColor;
}

void TdxSkinLookAndFeelPainter::DrawSchedulerScaledGroupSeparator(TcxCanvas* ACanvas, const TRect& ABounds, TColor,
                                                                  const TdxScaleFactor*, TcxDrawBackgroundEvent)
{
  using enum TcxBorder;
  ACanvas->FrameRect(ABounds, GetContainerBorderColor(false), 1, {bLeft, bRight});
  ACanvas->FillRect(cxRectInflateSides(ABounds, -1, 0, -1, 0), DefaultContentColor());
}

void TdxSkinLookAndFeelPainter::DrawSchedulerScaledNavigatorButton(TcxCanvas* ACanvas, const TRect& R,
                                                                   TcxButtonState AState,
                                                                   const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->EditButtonElements[0], ACanvas, 0, ButtonStateToSkinState(AState), AScaleFactor,
                       R))
    inherited::DrawSchedulerScaledNavigatorButton(ACanvas, R, AState, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawSchedulerGroup(TcxCanvas* ACanvas, const TRect& R, TColor AColor)
{
  TdxSkinElement* element = SkinInfo()->SchedulerGroup;
  if (!element) {
    inherited::DrawSchedulerGroup(ACanvas, R, clDefault);
    return;
  }
  DrawSkinElementAtSystemScale(element, ACanvas, 0, esNormal, R);
  if (!cxIsColorAssigned(AColor) || AColor == clWindow || cxRectHasNoArea(R))
    return;
  // Image 1 is the mask of the marker's coloured part: its white pixels
  // take the colour.
  const rtl::TOwnedPtr<TcxBitmap> mask(
      rtl::NewWith<TcxBitmap>([&](TcxBitmap* B) { B->CreateSize(cxRectGetWidth(R), cxRectGetHeight(R)); }));
  DrawSkinElementAtSystemScale(element, mask->GetcxCanvas(), 1, esNormal, mask->GetClientRect());
  mask->SetPixelFormat(TPixelFormat::pf1bit);
  const TOwnedRegion region(cxCreateRegionFromBitmap(mask.get(), clBlack));
  OffsetRgn(region.Get(), R.left, R.top);
  ACanvas->FillRegion(region.Get(), AColor);
}

void TdxSkinLookAndFeelPainter::DrawSchedulerMilestone(TcxCanvas* ACanvas, const TRect& R)
{
  TdxSkinElement* element = SkinInfo()->SchedulerMilestone;
  if (!element) {
    inherited::DrawSchedulerMilestone(ACanvas, R);
    return;
  }
  const TSize proportions = element->GetSize();
  TSize size = cxRectGetSize(R);
  if (proportions.cx > 0 && proportions.cy > 0)
    size = cxRectGetSize(cxRectFitAspectOfSize(R, proportions));
  DrawSkinElementAtSystemScale(element, ACanvas, 0, esNormal, cxRectCenterBoxOfSize(R, size));
}

// ---------------------------------------------------------------------------
// Scheduler navigation buttons: bodies and arrows made for the vertical
// strips at the sides of a view, turned a quarter for the horizontal ones.

void TdxSkinLookAndFeelPainter::SchedulerNavigationButtonSizes(bool AIsNextButton, TRect& ABorders,
                                                               TSize& AArrowSize, bool& AHasTextArea,
                                                               const TdxScaleFactor* AScaleFactor, bool AIsVertical)
{
  TdxSkinLookAndFeelPainterInfo* info = SkinInfo();
  TdxSkinElement* body = info->SchedulerNavigationButtons[AIsNextButton];
  TdxSkinElement* arrow = info->SchedulerNavigationButtonsArrow[AIsNextButton];
  if (!body || !arrow) {
    inherited::SchedulerNavigationButtonSizes(AIsNextButton, ABorders, AArrowSize, AHasTextArea, AScaleFactor,
                                              AIsVertical);
    return;
  }
  ABorders = body->GetContentOffset()->GetRect();
  AArrowSize = AScaleFactor->Apply(arrow->GetMinSize()->GetSize());
  if (!AIsVertical) {
    ABorders = {ABorders.top, ABorders.left, ABorders.bottom, ABorders.right};
    AArrowSize = {AArrowSize.cy, AArrowSize.cx};
  }
  AHasTextArea = !body->GetImage()->Empty() || cxIsColorAssigned(body->GetColor());
}

void TdxSkinLookAndFeelPainter::CalculateSchedulerNavigationButtonRects(
    bool AIsNextButton, bool ACollapsed, const TSize& APrevButtonTextSize, const TSize& ANextButtonTextSize,
    TRect& ABounds, TRect& ATextRect, TRect& AArrowRect, const TdxScaleFactor* AScaleFactor, bool AIsVertical)
{
  TdxSkinLookAndFeelPainterInfo* info = SkinInfo();
  TdxSkinElement* body = info->SchedulerNavigationButtons[AIsNextButton];
  TdxSkinElement* arrow = info->SchedulerNavigationButtonsArrow[AIsNextButton];
  TSize size{0, 0};
  if (body)
    size = body->GetMinSize()->GetSize();
  if (arrow)
    size = cxSizeMax(size, arrow->GetMinSize()->GetSize());
  // The elements' width serves both ways: horizontal buttons use them turned.
  const int width = size.cx;
  if (width > 0) {
    if (AIsVertical && cxRectGetWidth(ABounds) < width) {
      if (AIsNextButton)
        ABounds.left = ABounds.right - width;
      else
        ABounds.right = ABounds.left + width;
    } else if (!AIsVertical && cxRectGetHeight(ABounds) < width) {
      if (AIsNextButton)
        ABounds.top = ABounds.bottom - width;
      else
        ABounds.bottom = ABounds.top + width;
    }
  }
  inherited::CalculateSchedulerNavigationButtonRects(AIsNextButton, ACollapsed, APrevButtonTextSize,
                                                     ANextButtonTextSize, ABounds, ATextRect, AArrowRect,
                                                     AScaleFactor, AIsVertical);
}

void TdxSkinLookAndFeelPainter::DrawSchedulerNavigationButtonContent(TcxCanvas* ACanvas, const TRect& ARect,
                                                                     const TRect& AArrowRect, bool AIsNextButton,
                                                                     TcxButtonState AState, bool AIsVertical)
{
  TdxSkinLookAndFeelPainterInfo* info = SkinInfo();
  TdxSkinElement* body = info->SchedulerNavigationButtons[AIsNextButton];
  if (!body) {
    inherited::DrawSchedulerNavigationButtonContent(ACanvas, ARect, AArrowRect, AIsNextButton, AState, AIsVertical);
    return;
  }
  TdxSkinElement* arrow = info->SchedulerNavigationButtonsArrow[AIsNextButton];
  const TdxSkinElementState state = ButtonStateToSkinState(AState);
  // The body's outer edge lies one pixel beyond the button.
  TRect bounds = ARect;
  if (AIsVertical) {
    if (AIsNextButton)
      bounds.right += 1;
    else
      bounds.left -= 1;
    ACanvas->SaveClipRegion();
    const rtl::Finally restoreClip([&] { ACanvas->RestoreClipRegion(); });
    ACanvas->IntersectClipRect(ARect);
    DrawSkinElementAtSystemScale(body, ACanvas, 0, state, bounds);
    DrawSkinElementAtSystemScale(arrow, ACanvas, 0, state, AArrowRect);
    return;
  }
  if (AIsNextButton)
    bounds.bottom += 1;
  else
    bounds.top -= 1;
  if (cxRectHasNoArea(bounds))
    return;
  const rtl::TOwnedPtr<TcxBitmap> bitmap(
      rtl::NewWith<TcxBitmap>([&](TcxBitmap* B) { B->CreateSize(bounds, TPixelFormat::pf32bit); }));
  cxBlitRect(bitmap->GetCanvas()->GetHandle(), ACanvas->GetHandle(), bitmap->GetClientRect(), TPoint{bounds.left, bounds.top});
  // A quarter turn brings the button's top edge to the bitmap's left.
  bitmap->Rotate(TcxRotationAngle::raPlus90);
  TRect arrowBounds = cxRectBounds(AArrowRect.top - ARect.top, ARect.right - AArrowRect.right,
                                   cxRectGetHeight(AArrowRect), cxRectGetWidth(AArrowRect));
  if (!AIsNextButton)
    arrowBounds = cxRectOffsetBy(arrowBounds, 1, 0);
  DrawSkinElementAtSystemScale(body, bitmap->GetcxCanvas(), 0, state, bitmap->GetClientRect());
  DrawSkinElementAtSystemScale(arrow, bitmap->GetcxCanvas(), 0, state, arrowBounds);
  bitmap->Rotate(TcxRotationAngle::raMinus90);
  cxCopyBitmapToDC(ACanvas->GetHandle(), bitmap.get(), bounds);
}
