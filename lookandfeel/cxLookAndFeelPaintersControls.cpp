// The base painter's check boxes, toggle switches, label lines, popup
// frames, scroll bars, size grips, slider buttons, progress bars, group
// boxes, panels, splitters and bevels. Metrics and colours already answer
// their final values; the drawing operations are empty for now and get
// their bodies with the drawing of these elements. The twins without a
// scale factor forward to the scaled operations with the system factor.
#include <algorithm>

#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "lookandfeel/cxLookAndFeelPainters.h"

using enum TcxArrowDirection;
using enum TcxCheckBoxState;
using enum TcxEditPopupBorderStyle;
using enum TcxGroupBoxCaptionPosition;
using enum TcxPopupBorderStyle;
using enum TcxScrollBarPart;

using namespace vcl;

// ---------------------------------------------------------------------------
// Check box

void TcxCustomLookAndFeelPainter::DrawScaledCheck(TcxCanvas*, const TRect&, TcxButtonState, TcxCheckBoxState, TColor,
                                                  const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledCheck(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                  bool AChecked, TColor AColor, const TdxScaleFactor* AScaleFactor)
{
  DrawScaledCheck(ACanvas, R, AState, AChecked ? cbsChecked : cbsUnchecked, AColor, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawScaledCheckButton(TcxCanvas*, const TRect&, TcxButtonState, TcxCheckBoxState,
                                                        const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledCheckButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                        bool AChecked, const TdxScaleFactor* AScaleFactor)
{
  DrawScaledCheckButton(ACanvas, R, AState, AChecked ? cbsChecked : cbsUnchecked, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawCheck(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                            TcxCheckBoxState ACheckState, TColor AColor)
{
  DrawScaledCheck(ACanvas, R, AState, ACheckState, AColor, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawCheck(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AChecked,
                                            TColor AColor)
{
  DrawScaledCheck(ACanvas, R, AState, AChecked, AColor, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawCheckButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                  TcxCheckBoxState ACheckState)
{
  DrawScaledCheckButton(ACanvas, R, AState, ACheckState, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawCheckButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                  bool AChecked)
{
  DrawScaledCheckButton(ACanvas, R, AState, AChecked, dxGetSystemScaleFactor());
}

// ---------------------------------------------------------------------------
// Toggle switch

void TcxCustomLookAndFeelPainter::DrawScaledToggleSwitch(TcxCanvas*, const TRect&, TcxButtonState, const TRect&,
                                                         const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledToggleSwitchState(TcxCanvas*, const TRect&, TcxButtonState, bool,
                                                              const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledToggleSwitchThumb(TcxCanvas*, const TRect&, TcxButtonState,
                                                              const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawToggleSwitchStateIndicator(TcxCanvas*, const TRect&, const rtl::String&, TFont*)
{
}

IdxColorPalette* TcxCustomLookAndFeelPainter::GetToggleSwitchColorPalette()
{
  return nullptr;
}

TColor TcxCustomLookAndFeelPainter::GetToggleSwitchTextColor()
{
  return DefaultContentTextColor();
}

int TcxCustomLookAndFeelPainter::GetToggleSwitchThumbPercentsWidth()
{
  return 50;
}

TColor TcxCustomLookAndFeelPainter::ToggleSwitchToggleColor(bool)
{
  return clBlack;
}

void TcxCustomLookAndFeelPainter::DrawToggleSwitch(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                                   const TRect& AThumbBounds)
{
  DrawScaledToggleSwitch(ACanvas, ABounds, AState, AThumbBounds, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawToggleSwitchState(TcxCanvas* ACanvas, const TRect& ABounds,
                                                        TcxButtonState AState, bool AChecked)
{
  DrawScaledToggleSwitchState(ACanvas, ABounds, AState, AChecked, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawToggleSwitchThumb(TcxCanvas* ACanvas, const TRect& ABounds,
                                                        TcxButtonState AState)
{
  DrawScaledToggleSwitchThumb(ACanvas, ABounds, AState, dxGetSystemScaleFactor());
}

// ---------------------------------------------------------------------------
// Label line

void TcxCustomLookAndFeelPainter::DrawLabelLine(TcxCanvas*, const TRect&, TColor, TColor, bool)
{
}

// ---------------------------------------------------------------------------
// Popup windows

void TcxCustomLookAndFeelPainter::DrawEditPopupWindowBorder(TcxCanvas*, TRect& R,
                                                            TcxEditPopupBorderStyle ABorderStyle, bool)
{
  // Callers lay the popup's content out in R, so R moves inside the border
  // even before the border has a look; the plain style still keeps one
  // pixel.
  R = cxRectInflateAll(R, -std::max(1, GetEditPopupWindowBorderWidth(ABorderStyle)));
}

int TcxCustomLookAndFeelPainter::GetEditPopupWindowBorderWidth(TcxEditPopupBorderStyle AStyle)
{
  switch (AStyle) {
    case epbsSingle:
      return 1;
    case epbsFrame3D:
      return 4;
    case epbsFlat:
      return 2;
    default:
      return 0;
  }
}

int TcxCustomLookAndFeelPainter::GetEditPopupWindowClientEdgeWidth(TcxEditPopupBorderStyle AStyle)
{
  switch (AStyle) {
    case epbsSingle:
    case epbsFrame3D:
      return 2;
    case epbsFlat:
      return 1;
    default:
      return 0;
  }
}

TcxPopupBorderStyle TcxCustomLookAndFeelPainter::PopupBorderStyle()
{
  return pbsUltraFlat;
}

// ---------------------------------------------------------------------------
// Scroll bars

void TcxCustomLookAndFeelPainter::DrawScaledScrollBarBackground(TcxCanvas*, const TRect&, bool, const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledScrollBarPart(TcxCanvas*, bool, const TRect&, TcxScrollBarPart,
                                                          TcxButtonState, const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledScrollBarSplitter(TcxCanvas*, const TRect&, TcxButtonState,
                                                              const TdxScaleFactor*)
{
}

int TcxCustomLookAndFeelPainter::ScaledScrollBarMinimalThumbSize(bool, const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(8);
}

void TcxCustomLookAndFeelPainter::DrawScrollBarBackground(TcxCanvas* ACanvas, const TRect& R, bool AHorizontal)
{
  DrawScaledScrollBarBackground(ACanvas, R, AHorizontal, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const TRect& R,
                                                    TcxScrollBarPart APart, TcxButtonState AState)
{
  DrawScaledScrollBarPart(ACanvas, AHorizontal, R, APart, AState, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawScrollBarSplitter(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState)
{
  DrawScaledScrollBarSplitter(ACanvas, R, AState, dxGetSystemScaleFactor());
}

int TcxCustomLookAndFeelPainter::ScrollBarMinimalThumbSize(bool AVertical)
{
  return ScaledScrollBarMinimalThumbSize(AVertical, dxGetSystemScaleFactor());
}

TcxArrowDirection TcxCustomLookAndFeelPainter::GetScrollBarArrowDirection(bool AHorizontal, TcxScrollBarPart APart)
{
  if (APart == sbpLineUp)
    return AHorizontal ? adLeft : adUp;
  return AHorizontal ? adRight : adDown;
}

void TcxCustomLookAndFeelPainter::DoDrawScrollBarPart(TcxCanvas*, bool, const TdxScaleFactor*, TcxScrollBarPart,
                                                      TcxButtonState, const TRect&)
{
}

// ---------------------------------------------------------------------------
// Popup panels and size grips

void TcxCustomLookAndFeelPainter::CalculateScaledPopupPanelClientRect(TRect&, TRect&, TRect&, TRect&, TdxCorner,
                                                                      const TRect&, const TRect&,
                                                                      const TdxScaleFactor*, int, bool, bool)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledPopupNCPanel(HWND, bool, bool, TdxCorner, const TRect&, const TRect&,
                                                         TColor, const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DoDrawSizeGrip(TcxCanvas*, const TRect&, const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawSizeGrip(TcxCanvas* ACanvas, const TRect& ARect, TColor ABackgroundColor,
                                               TdxCorner ACorner)
{
  DrawScaledSizeGrip(ACanvas, ARect, dxGetSystemScaleFactor(), ABackgroundColor, ACorner);
}

void TcxCustomLookAndFeelPainter::DrawScaledSizeGrip(TcxCanvas*, const TRect&, const TdxScaleFactor*, TColor,
                                                     TdxCorner)
{
}

TSize TcxCustomLookAndFeelPainter::ScaledSizeGripSize(const TdxScaleFactor* AScaleFactor)
{
  return TSize{dxGetScaledSystemMetrics(SM_CXVSCROLL, AScaleFactor),
               dxGetScaledSystemMetrics(SM_CYHSCROLL, AScaleFactor)};
}

void TcxCustomLookAndFeelPainter::CalculatePopupPanelClientRect(TRect& AClientRect, TRect& APanelRect,
                                                                TRect& AGripRect, TRect& ACloseButtonRect,
                                                                TdxCorner ACorner, const TRect& ABorders,
                                                                const TRect& APanelBorders, int APanelHeight,
                                                                bool AShowCloseButton, bool AShowGripSize)
{
  CalculateScaledPopupPanelClientRect(AClientRect, APanelRect, AGripRect, ACloseButtonRect, ACorner, ABorders,
                                      APanelBorders, dxGetSystemScaleFactor(), APanelHeight, AShowCloseButton,
                                      AShowGripSize);
}

void TcxCustomLookAndFeelPainter::DrawPopupNCPanel(HWND AHandle, bool AMouseAboveCloseButton,
                                                   bool ACloseButtonIsTracking, TdxCorner ACorner,
                                                   const TRect& ACloseButtonRect, const TRect& AGripRect,
                                                   TColor ABorderColor)
{
  DrawScaledPopupNCPanel(AHandle, AMouseAboveCloseButton, ACloseButtonIsTracking, ACorner, ACloseButtonRect,
                         AGripRect, ABorderColor, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DoDrawSizeGrip(TcxCanvas* ACanvas, const TRect& ARect)
{
  DoDrawSizeGrip(ACanvas, ARect, dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::SizeGripSize()
{
  return ScaledSizeGripSize(dxGetSystemScaleFactor());
}

int TcxCustomLookAndFeelPainter::ScaledPopupPanelSize(const TdxScaleFactor* AScaleFactor)
{
  const int arrow = dxGetScaledSystemMetrics(SM_CYHSCROLL, AScaleFactor);
  const int grip = ScaledSizeGripSize(AScaleFactor).cy;
  const int closeButton = ScaledSmallCloseButtonSize(AScaleFactor).cy;
  return std::max({arrow + 3, grip + 4, closeButton + 6});
}

int TcxCustomLookAndFeelPainter::PopupPanelSize()
{
  return ScaledPopupPanelSize(dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawScaledPopupPanelBand(TcxCanvas*, const TRect&, const TRect&, const TRect&,
                                                           TdxCorner, TcxButtonState, const TRect&, TColor,
                                                           const TdxScaleFactor*, bool, bool)
{
}

void TcxCustomLookAndFeelPainter::DrawPopupPanelBand(TcxCanvas* ACanvas, const TRect& ABounds,
                                                     const TRect& AGripRect, const TRect& ACloseButtonRect,
                                                     TdxCorner AGripCorner, TcxButtonState ACloseButtonState,
                                                     const TRect& ABorders, TColor ABorderColor, bool AShowGripSize,
                                                     bool AShowCloseButton)
{
  DrawScaledPopupPanelBand(ACanvas, ABounds, AGripRect, ACloseButtonRect, AGripCorner, ACloseButtonState, ABorders,
                           ABorderColor, dxGetSystemScaleFactor(), AShowGripSize, AShowCloseButton);
}

// ---------------------------------------------------------------------------
// Slider buttons

TSize TcxCustomLookAndFeelPainter::ScaledSliderButtonSize(TcxArrowDirection, const TdxScaleFactor* AScaleFactor)
{
  return ScaledSizeGripSize(AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawScaledSliderButton(TcxCanvas*, const TRect&, TcxArrowDirection, TcxButtonState,
                                                         const TdxScaleFactor*)
{
}

TSize TcxCustomLookAndFeelPainter::SliderButtonSize(TcxArrowDirection ADirection)
{
  return ScaledSliderButtonSize(ADirection, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawSliderButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                   TcxArrowDirection ADirection, TcxButtonState AState)
{
  DrawScaledSliderButton(ACanvas, ARect, ADirection, AState, dxGetSystemScaleFactor());
}

// ---------------------------------------------------------------------------
// Progress bar

void TcxCustomLookAndFeelPainter::DrawProgressBarBorder(TcxCanvas*, const TRect&, bool)
{
}

void TcxCustomLookAndFeelPainter::DrawProgressBarChunk(TcxCanvas*, const TRect&, bool)
{
}

void TcxCustomLookAndFeelPainter::DrawProgressBarText(TcxCanvas*, bool, bool, const rtl::String&, const TRect&,
                                                      const TRect&, const TRect&, TColor)
{
}

TRect TcxCustomLookAndFeelPainter::ProgressBarBorderSize(bool)
{
  return cxNullRect;
}

TColor TcxCustomLookAndFeelPainter::ProgressBarTextColor()
{
  return ProgressBarTextColorEx(false);
}

TColor TcxCustomLookAndFeelPainter::ProgressBarTextColorEx(bool AIsFilledArea)
{
  return AIsFilledArea ? clDefault : clWindowText;
}

// ---------------------------------------------------------------------------
// Group box

void TcxCustomLookAndFeelPainter::DrawGroupBoxBackground(TcxCanvas*, const TRect&, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::DrawGroupBoxCaption(TcxCanvas*, const TRect&, const TRect&,
                                                      TcxGroupBoxCaptionPosition)
{
}

void TcxCustomLookAndFeelPainter::DrawGroupBoxContent(TcxCanvas*, const TRect&, TcxGroupBoxCaptionPosition,
                                                      TcxBorders)
{
}

void TcxCustomLookAndFeelPainter::DrawGroupBoxScaledExpandButton(TcxCanvas*, const TRect&, TcxButtonState, bool,
                                                                 const TdxScaleFactor*, TcxRotationAngle)
{
}

void TcxCustomLookAndFeelPainter::DrawGroupBoxScaledButton(TcxCanvas*, const TRect&, TcxButtonState,
                                                           const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawGroupBoxScaledExpandGlyph(TcxCanvas*, const TRect&, TcxButtonState, bool,
                                                                const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawGroupBoxFrame(TcxCanvas*, const TRect&, bool, TcxGroupBoxCaptionPosition,
                                                    TcxBorders)
{
}

void TcxCustomLookAndFeelPainter::GroupBoxAdjustCaptionFont(TFont*, TcxGroupBoxCaptionPosition)
{
}

TRect TcxCustomLookAndFeelPainter::GroupBoxBorderSize(bool, TcxGroupBoxCaptionPosition)
{
  return cxNullRect;
}

int TcxCustomLookAndFeelPainter::GroupBoxCaptionTailSize(TcxGroupBoxCaptionPosition)
{
  return 0;
}

TColor TcxCustomLookAndFeelPainter::GroupBoxTextColor(bool AEnabled, TcxGroupBoxCaptionPosition)
{
  return AEnabled ? clWindowText : clBtnShadow;
}

bool TcxCustomLookAndFeelPainter::IsGroupBoxCaptionTextDrawnOverBorder(TcxGroupBoxCaptionPosition)
{
  return true;
}

bool TcxCustomLookAndFeelPainter::IsGroupBoxTransparent(bool, TcxGroupBoxCaptionPosition)
{
  return false;
}

void TcxCustomLookAndFeelPainter::DrawGroupBoxExpandButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                           bool AExpanded, TcxRotationAngle ARotationAngle)
{
  DrawGroupBoxScaledExpandButton(ACanvas, R, AState, AExpanded, dxGetSystemScaleFactor(), ARotationAngle);
}

void TcxCustomLookAndFeelPainter::DrawGroupBoxButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState)
{
  DrawGroupBoxScaledButton(ACanvas, R, AState, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawGroupBoxExpandGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                          bool AExpanded)
{
  DrawGroupBoxScaledExpandGlyph(ACanvas, R, AState, AExpanded, dxGetSystemScaleFactor());
}

// ---------------------------------------------------------------------------
// Panel

void TcxCustomLookAndFeelPainter::DrawPanelBackground(TcxCanvas*, TWinControl*, const TRect&, TColor, TColor)
{
}

void TcxCustomLookAndFeelPainter::DrawPanelBorders(TcxCanvas*, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::DrawPanelCaption(TcxCanvas*, const TRect&, TcxGroupBoxCaptionPosition)
{
}

void TcxCustomLookAndFeelPainter::DrawPanelContent(TcxCanvas*, const TRect&, bool)
{
}

TRect TcxCustomLookAndFeelPainter::PanelBorderSize()
{
  return cxNullRect;
}

TColor TcxCustomLookAndFeelPainter::PanelTextColor()
{
  return GroupBoxTextColor(true, cxgpTop);
}

// ---------------------------------------------------------------------------
// Splitter

TColor TcxCustomLookAndFeelPainter::GetSplitterInnerColor(bool)
{
  return clWhite;
}

TColor TcxCustomLookAndFeelPainter::GetSplitterOuterColor(bool)
{
  return clBtnShadow;
}

void TcxCustomLookAndFeelPainter::DrawScaledSplitter(TcxCanvas*, const TRect&, bool, bool, bool,
                                                     const TdxScaleFactor*, bool, TcxArrowDirection)
{
}

TSize TcxCustomLookAndFeelPainter::GetScaledSplitterSize(bool AHorizontal, const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(AHorizontal ? TSize{17, 2} : TSize{2, 17});
}

void TcxCustomLookAndFeelPainter::DrawSplitter(TcxCanvas* ACanvas, const TRect& ARect, bool AHighlighted,
                                               bool AClicked, bool AHorizontal)
{
  DrawScaledSplitter(ACanvas, ARect, AHighlighted, AClicked, AHorizontal, dxGetSystemScaleFactor(), false, adLeft);
}

void TcxCustomLookAndFeelPainter::DrawSplitterCloseMark(TcxCanvas*, const TRect&, bool, bool, bool,
                                                        const TdxScaleFactor*, TcxArrowDirection)
{
}

TSize TcxCustomLookAndFeelPainter::GetSplitterSize(bool AHorizontal)
{
  return GetScaledSplitterSize(AHorizontal, dxGetSystemScaleFactor());
}

bool TcxCustomLookAndFeelPainter::HasSplitterInnerLine(bool AHorizontal, const TdxScaleFactor* AScaleFactor)
{
  const TSize size = GetScaledSplitterSize(AHorizontal, AScaleFactor);
  return (AHorizontal ? size.cy : size.cx) > 1;
}

// ---------------------------------------------------------------------------
// Bevel

void TcxCustomLookAndFeelPainter::DrawBevelFrame(TcxCanvas*, const TRect&, TColor, TColor, bool)
{
}

void TcxCustomLookAndFeelPainter::DrawBevelLine(TcxCanvas*, const TRect&, TColor, TColor, bool)
{
}

void TcxCustomLookAndFeelPainter::DrawBevelShape(TcxCanvas*, const TRect&, TdxBevelShape, TdxBevelStyle)
{
}

TSize TcxCustomLookAndFeelPainter::GetBevelMinimalShapeSize(TdxBevelShape)
{
  return TSize{2, 2};
}

void TcxCustomLookAndFeelPainter::GetBevelShapeColors(TColor& AColor1, TColor& AColor2)
{
  AColor1 = clBtnShadow;
  AColor2 = clBtnHighlight;
}
