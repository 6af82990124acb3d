// The skin painter's popups, windows and special controls: hints and screen
// tips, window content, drop-down list boxes, alert windows, the office
// navigation bar, the PDF viewer's navigation pane and find panel, the
// print preview, the map control and the gauge.
#include <algorithm>

#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphicsColors.h"
#include "graphics/dxCoreGraphics.h"
#include "platform/rtl/SysUtils.h"
#include "skins/dxSkinsLookAndFeelPainter.h"

using enum TcxButtonState;
using enum TdxSkinElementState;

using namespace vcl;

// ---------------------------------------------------------------------------
// Hints and screen tips

void TdxSkinLookAndFeelPainter::DrawHintBackground(TcxCanvas* ACanvas, const TRect& ARect, TColor AColor)
{
  TdxSkinElement* element = SkinInfo()->ScreenTipWindow;
  if (!element) {
    inherited::DrawHintBackground(ACanvas, ARect, AColor);
    return;
  }
  // The hint's rectangle is its content: the window's frame lies around it.
  DrawSkinElementAtSystemScale(element, ACanvas, 0, esNormal,
                               cxRectInflateByMargins(ARect, element->GetContentOffset()->GetRect()));
}

TColor TdxSkinLookAndFeelPainter::GetHintBorderColor()
{
  TdxSkinElement* element = SkinInfo()->ScreenTipWindow;
  return element ? element->GetBorders()->GetLeft()->GetColor() : inherited::GetHintBorderColor();
}

void TdxSkinLookAndFeelPainter::ScreenTipDrawBackground(TcxCanvas* ACanvas, const TRect& ARect)
{
  if (!DrawSkinElementAtSystemScale(SkinInfo()->ScreenTipWindow, ACanvas, 0, esNormal, ARect))
    inherited::ScreenTipDrawBackground(ACanvas, ARect);
}

void TdxSkinLookAndFeelPainter::ScreenTipDrawFooterLine(TcxCanvas* ACanvas, const TRect& ARect)
{
  if (!DrawSkinElementAtSystemScale(SkinInfo()->ScreenTipSeparator, ACanvas, 0, esNormal, ARect))
    inherited::ScreenTipDrawFooterLine(ACanvas, ARect);
}

int TdxSkinLookAndFeelPainter::ScreenTipGetFooterLineSize()
{
  TdxSkinElement* element = SkinInfo()->ScreenTipSeparator;
  return element ? element->GetImage()->GetSize().cy : inherited::ScreenTipGetFooterLineSize();
}

IdxColorPalette* TdxSkinLookAndFeelPainter::ScreenTipGetColorPalette()
{
  return GetElementGlyphColorPalette(SkinInfo()->ScreenTipWindow, esNormal);
}

TColor TdxSkinLookAndFeelPainter::ScreenTipGetDescriptionTextColor()
{
  TdxSkinColor* color = SkinInfo()->ScreenTipItem;
  return color ? color->GetValue() : inherited::ScreenTipGetDescriptionTextColor();
}

TColor TdxSkinLookAndFeelPainter::ScreenTipGetTitleTextColor()
{
  TdxSkinColor* color = SkinInfo()->ScreenTipTitleItem;
  return color ? color->GetValue() : inherited::ScreenTipGetTitleTextColor();
}

// ---------------------------------------------------------------------------
// Window content

void TdxSkinLookAndFeelPainter::DrawWindowContent(TcxCanvas* ACanvas, const TRect& ARect)
{
  TdxSkinElement* element = SkinInfo()->FormContent;
  if (element)
    ACanvas->FillRect(ARect, element->GetColor());
  else
    inherited::DrawWindowContent(ACanvas, ARect);
}

TColor TdxSkinLookAndFeelPainter::GetWindowContentTextColor()
{
  TdxSkinElement* element = SkinInfo()->FormContent;
  const TColor color = element ? element->GetTextColor() : clDefault;
  return color != clDefault ? color : inherited::GetWindowContentTextColor();
}

// ---------------------------------------------------------------------------
// Drop-down list box: drawn like a popup menu

void TdxSkinLookAndFeelPainter::DrawDropDownListBoxBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                              bool AHasBorders)
{
  TdxSkinElement* element = SkinInfo()->PopupMenu;
  if (!element) {
    inherited::DrawDropDownListBoxBackground(ACanvas, ARect, AHasBorders);
    return;
  }
  if (AHasBorders) {
    DrawSkinElementAtSystemScale(element, ACanvas, 0, esNormal, ARect);
    return;
  }
  // Without borders the menu's frame is drawn outside and clipped away.
  ACanvas->SaveClipRegion();
  const rtl::Finally restoreClip([&] { ACanvas->RestoreClipRegion(); });
  ACanvas->IntersectClipRect(ARect);
  DrawSkinElementAtSystemScale(element, ACanvas, 0, esNormal,
                               cxRectInflateByMargins(ARect, GetElementOuterMargins(element)));
}

void TdxSkinLookAndFeelPainter::DrawDropDownListBoxScaledGutterBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                                          const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElementRTLAware(SkinInfo()->PopupMenuSideStrip, ACanvas, 0, esNormal, AScaleFactor, ARect))
    inherited::DrawDropDownListBoxScaledGutterBackground(ACanvas, ARect, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawDropDownListBoxScaledSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                                   const TRect& AGutterRect,
                                                                   const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->PopupMenuLinkSelected, ACanvas, 0, esNormal, AScaleFactor, ARect))
    inherited::DrawDropDownListBoxScaledSelection(ACanvas, ARect, AGutterRect, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawDropDownListBoxScaledSeparator(TcxCanvas* ACanvas, const TRect& ARect,
                                                                   const TRect& AGutterRect,
                                                                   const TdxScaleFactor* AScaleFactor)
{
  const TRect line{AGutterRect.right + 2, ARect.top, ARect.right, ARect.bottom};
  if (!DrawSkinElement(SkinInfo()->PopupMenuSeparator, ACanvas, 0, esNormal, AScaleFactor, line))
    inherited::DrawDropDownListBoxScaledSeparator(ACanvas, ARect, AGutterRect, AScaleFactor);
}

TColor TdxSkinLookAndFeelPainter::DropDownListBoxItemTextColor(bool ASelected)
{
  TdxSkinElement* element = SkinInfo()->PopupMenu;
  return element ? element->GetTextColor(ASelected ? cxbsHot : cxbsNormal)
                 : inherited::DropDownListBoxItemTextColor(ASelected);
}

TRect TdxSkinLookAndFeelPainter::DropDownListBoxScaledItemTextOffsets(const TdxScaleFactor* AScaleFactor)
{
  TRect offsets = inherited::DropDownListBoxScaledItemTextOffsets(AScaleFactor);
  if (TdxSkinElement* element = SkinInfo()->PopupMenuLinkSelected) {
    const TRect selection = element->GetContentOffset()->GetRect();
    offsets.top = std::max(offsets.top, selection.top);
    offsets.bottom = std::max(offsets.bottom, selection.bottom);
  }
  return offsets;
}

TRect TdxSkinLookAndFeelPainter::DropDownListBoxScaledItemImageOffsets(const TdxScaleFactor* AScaleFactor)
{
  TRect offsets = DropDownListBoxScaledItemTextOffsets(AScaleFactor);
  if (TdxSkinElement* element = SkinInfo()->PopupMenuSideStrip) {
    const TRect strip = element->GetContentOffset()->GetRect();
    offsets.left = std::max(offsets.left, strip.left);
    offsets.right = std::max(offsets.right, strip.right);
  }
  return offsets;
}

int TdxSkinLookAndFeelPainter::DropDownListBoxScaledSeparatorSize(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->PopupMenuSeparator;
  return element ? element->GetMinSize()->GetHeight() : inherited::DropDownListBoxScaledSeparatorSize(AScaleFactor);
}

int TdxSkinLookAndFeelPainter::DropDownListBoxBordersSize()
{
  return 2;
}

// ---------------------------------------------------------------------------
// Alert window

TdxSkinElement* TdxSkinLookAndFeelPainter::AlertWindowButtonElement(TdxAlertWindowButtonKind AKind)
{
  using enum TdxAlertWindowButtonKind;
  TdxSkinLookAndFeelPainterInfo* info = SkinInfo();
  return AKind == awbkPrevious || AKind == awbkNext ? info->AlertWindowNavigationPanelButton
                                                    : info->AlertWindowButton;
}

void TdxSkinLookAndFeelPainter::DrawAlertWindowBackground(TcxCanvas* ACanvas, const TRect& ABounds,
                                                          const TdxScaleFactor* AScaleFactor)
{
  TdxSkinLookAndFeelPainterInfo* info = SkinInfo();
  TdxSkinElement* window = info->AlertWindow;
  TdxSkinElement* caption = info->AlertWindowCaption;
  if (!window || !caption) {
    inherited::DrawAlertWindowBackground(ACanvas, ABounds, AScaleFactor);
    return;
  }
  if (!AScaleFactor)
    AScaleFactor = dxGetSystemScaleFactor();
  DrawSkinElement(window, ACanvas, 0, esNormal, AScaleFactor, ABounds);
  int height = caption->GetMinSize()->GetHeight();
  if (height == 0) {
    const TRect offsets = caption->GetContentOffset()->GetRect();
    height = caption->GetGlyph()->GetSize().cy + offsets.top + offsets.bottom;
  }
  DrawSkinElement(caption, ACanvas, 0, esNormal, AScaleFactor,
                  cxRectWithHeight(ABounds, AScaleFactor->Apply(height)));
}

void TdxSkinLookAndFeelPainter::DrawAlertWindowScaledButton(TcxCanvas* ACanvas, const TRect& ABounds,
                                                            TcxButtonState AState, TdxAlertWindowButtonKind AKind,
                                                            const TdxScaleFactor* AScaleFactor, bool ADown)
{
  using enum TdxAlertWindowButtonKind;
  TdxSkinElement* element = AlertWindowButtonElement(AKind);
  if (!element) {
    inherited::DrawAlertWindowScaledButton(ACanvas, ABounds, AState, AKind, AScaleFactor, ADown);
    return;
  }
  static constexpr TdxSkinElementState kUp[] = {esNormal, esNormal, esHot, esPressed, esDisabled};
  static constexpr TdxSkinElementState kDown[] = {esChecked, esChecked, esHotCheck, esCheckPressed, esDisabled};
  const int state = static_cast<int>(AState);
  // A button without a picture of its state shows its glyph alone.
  const TdxSkinElementState buttonState = ADown ? kDown[state] : kUp[state];
  if (element->GetImage()->GetStates().Contains(buttonState))
    DrawSkinElement(element, ACanvas, 0, buttonState, AScaleFactor, ABounds);
  static constexpr int kGlyphIndex[] = {0, 1, 3, 4, 5, -1};
  int glyphIndex = kGlyphIndex[static_cast<int>(AKind)];
  if (AKind == awbkPin && ADown)
    glyphIndex = 2;
  if (glyphIndex >= 0)
    DrawSkinElement(SkinInfo()->AlertWindowButtonGlyphs, ACanvas, glyphIndex, kUp[state], AScaleFactor, ABounds);
}

void TdxSkinLookAndFeelPainter::DrawAlertWindowNavigationPanel(TcxCanvas* ACanvas, const TRect& ABounds)
{
  if (!DrawSkinElementAtSystemScale(SkinInfo()->AlertWindowNavigationPanel, ACanvas, 0, esNormal, ABounds))
    inherited::DrawAlertWindowNavigationPanel(ACanvas, ABounds);
}

int TdxSkinLookAndFeelPainter::AlertWindowCornerRadius()
{
  TdxSkinLookAndFeelPainterInfo* info = SkinInfo();
  if (!info->AlertWindow)
    return inherited::AlertWindowCornerRadius();
  return TdxSkinElementHelper::IsAlternateImageSetUsed(info->AlertWindow, 0, esNormal) ? 0
                                                                                       : info->AlertWindowCornerRadius;
}

TColor TdxSkinLookAndFeelPainter::AlertWindowTextColor()
{
  TdxSkinElement* element = SkinInfo()->AlertWindow;
  if (!element)
    return inherited::AlertWindowTextColor();
  const TColor color = element->GetTextColor();
  return color != clDefault ? color : DefaultContentTextColor();
}

TColor TdxSkinLookAndFeelPainter::AlertWindowNavigationPanelTextColor()
{
  TdxSkinElement* element = SkinInfo()->AlertWindowNavigationPanel;
  const TColor color = element ? element->GetTextColor() : clDefault;
  return color != clDefault ? color : inherited::AlertWindowNavigationPanelTextColor();
}

TRect TdxSkinLookAndFeelPainter::AlertWindowScaledContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->AlertWindow;
  return element ? AScaleFactor->Apply(element->GetContentOffset()->GetRect())
                 : inherited::AlertWindowScaledContentOffsets(AScaleFactor);
}

TRect TdxSkinLookAndFeelPainter::AlertWindowScaledButtonContentOffsets(TdxAlertWindowButtonKind AKind,
                                                                       const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = AlertWindowButtonElement(AKind);
  return element ? AScaleFactor->Apply(element->GetContentOffset()->GetRect())
                 : inherited::AlertWindowScaledButtonContentOffsets(AKind, AScaleFactor);
}

// ---------------------------------------------------------------------------
// Office navigation bar

namespace {

TdxSkinElementState NavigationBarItemState(TcxCalendarElementState AState)
{
  static constexpr TdxSkinElementState kMap[] = {esNormal, esHot, esPressed, esFocused, esNormal, esNormal, esDisabled};
  return kMap[static_cast<int>(AState)];
}

TcxButtonState NavigationBarTextState(TcxCalendarElementState AState)
{
  static constexpr TcxButtonState kMap[] = {cxbsNormal,  cxbsHot,     cxbsPressed, cxbsPressed,
                                            cxbsPressed, cxbsPressed, cxbsDisabled};
  return kMap[static_cast<int>(AState)];
}

}  // namespace

void TdxSkinLookAndFeelPainter::OfficeNavigationBarDrawBackground(TcxCanvas* ACanvas, const TRect& ARect)
{
  if (!DrawSkinElementAtSystemScale(SkinInfo()->NavPaneOfficeNavigationBar, ACanvas, 0, esNormal, ARect))
    inherited::OfficeNavigationBarDrawBackground(ACanvas, ARect);
}

void TdxSkinLookAndFeelPainter::OfficeNavigationBarDrawScaledButtonItemBackground(TcxCanvas* ACanvas,
                                                                                  const TRect& ARect,
                                                                                  TcxCalendarElementState AState,
                                                                                  const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->NavPaneOfficeNavigationBarSkinningItem, ACanvas, 0,
                       NavigationBarItemState(AState), AScaleFactor, ARect))
    inherited::OfficeNavigationBarDrawScaledButtonItemBackground(ACanvas, ARect, AState, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::OfficeNavigationBarDrawScaledItemBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                                            TcxCalendarElementState AState,
                                                                            const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->NavPaneOfficeNavigationBarItem, ACanvas, 0, esNormal, AScaleFactor, ARect))
    inherited::OfficeNavigationBarDrawScaledItemBackground(ACanvas, ARect, AState, AScaleFactor);
}

TRect TdxSkinLookAndFeelPainter::OfficeNavigationBarScaledContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->NavPaneOfficeNavigationBar;
  const TRect offsets = element ? element->GetContentOffset()->GetRect() : cxNullRect;
  return !cxRectIsAllZero(offsets) ? AScaleFactor->Apply(offsets)
                               : inherited::OfficeNavigationBarScaledContentOffsets(AScaleFactor);
}

TRect TdxSkinLookAndFeelPainter::OfficeNavigationBarScaledButtonItemContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->NavPaneOfficeNavigationBarSkinningItem;
  return element ? AScaleFactor->Apply(element->GetContentOffset()->GetRect())
                 : inherited::OfficeNavigationBarScaledButtonItemContentOffsets(AScaleFactor);
}

TRect TdxSkinLookAndFeelPainter::OfficeNavigationBarScaledItemContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->NavPaneOfficeNavigationBarItem;
  return element ? AScaleFactor->Apply(element->GetContentOffset()->GetRect())
                 : inherited::OfficeNavigationBarScaledItemContentOffsets(AScaleFactor);
}

int TdxSkinLookAndFeelPainter::OfficeNavigationBarScaledButtonItemFontSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(8 + SkinInfo()->NavPaneOfficeNavigationBarSkinningItemFontDelta);
}

int TdxSkinLookAndFeelPainter::OfficeNavigationBarScaledItemFontSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(8 + SkinInfo()->NavPaneOfficeNavigationBarItemFontDelta);
}

TColor TdxSkinLookAndFeelPainter::OfficeNavigationBarButtonItemTextColor(TcxCalendarElementState AState)
{
  TdxSkinElement* element = SkinInfo()->NavPaneOfficeNavigationBarSkinningItem;
  return element ? element->GetTextColor(NavigationBarTextState(AState))
                 : inherited::OfficeNavigationBarButtonItemTextColor(AState);
}

TColor TdxSkinLookAndFeelPainter::OfficeNavigationBarItemTextColor(TcxCalendarElementState AState)
{
  TdxSkinElement* element = SkinInfo()->NavPaneOfficeNavigationBarItem;
  return element ? element->GetTextColor(NavigationBarTextState(AState))
                 : inherited::OfficeNavigationBarItemTextColor(AState);
}

// ---------------------------------------------------------------------------
// PDF viewer

void TdxSkinLookAndFeelPainter::PDFViewerDrawNavigationPaneButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                                  TcxButtonState AState,
                                                                  const TdxScaleFactor* AScaleFactor,
                                                                  bool AMinimized, bool ASelected, bool AIsFirst)
{
  TdxSkinLookAndFeelPainterInfo* info = SkinInfo();
  TdxSkinElement* element =
      AMinimized ? info->PDFViewerNavigationPaneButtonMinimized : info->PDFViewerNavigationPaneButton;
  if (!element) {
    inherited::PDFViewerDrawNavigationPaneButton(ACanvas, ARect, AState, AScaleFactor, AMinimized, ASelected,
                                                 AIsFirst);
    return;
  }
  static constexpr TdxSkinElementState kPaneButton[] = {esNormal, esNormal, esHot, esDisabled, esDisabled};
  TdxSkinElementState state = kPaneButton[static_cast<int>(AState)];
  if (ASelected)
    state = !element->GetImage()->GetStates().Contains(esDisabled) ? esHot : AIsFirst ? esDisabled : esPressed;
  // The pane's buttons are tabs standing on the pane's left side.
  const TRect bounds = PDFViewerNavigationPaneButtonRect(ARect, AState, ASelected, AScaleFactor);
  DrawRotatedSkinElement(ACanvas, element, bounds, state, TcxRotationAngle::raMinus90, true, AScaleFactor);
  TdxSkinElement* arrow = info->PDFViewerNavigationPaneButtonArrow;
  if (ASelected && !AMinimized && arrow) {
    const TSize size = dxSkinElementScaledMinSize(arrow, const_cast<TdxScaleFactor*>(AScaleFactor));
    const TRect arrowBounds =
        cxRectCenterVertBox(TRect{bounds.right - size.cx, bounds.top, bounds.right, bounds.bottom}, size.cy);
    DrawSkinElement(arrow, ACanvas, 0, state, AScaleFactor, arrowBounds);
  }
}

void TdxSkinLookAndFeelPainter::PDFViewerDrawNavigationPaneBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                                      const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElementAtSystemScale(SkinInfo()->PDFViewerNavigationPaneBackground, ACanvas, 0, esActive, ARect))
    inherited::PDFViewerDrawNavigationPaneBackground(ACanvas, ARect, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::PDFViewerDrawNavigationPanePageBackground(TcxCanvas* ACanvas, const TRect& ARect)
{
  if (!DrawSkinElementAtSystemScale(SkinInfo()->PDFViewerNavigationPanePageBackground, ACanvas, 0, esNormal, ARect))
    inherited::PDFViewerDrawNavigationPanePageBackground(ACanvas, ARect);
}

void TdxSkinLookAndFeelPainter::PDFViewerDrawNavigationPanePageCaptionBackground(TcxCanvas* ACanvas,
                                                                                 const TRect& ARect)
{
  if (!DrawSkinElementAtSystemScale(SkinInfo()->PDFViewerNavigationPanePageCaption, ACanvas, 0, esNormal, ARect))
    inherited::PDFViewerDrawNavigationPanePageCaptionBackground(ACanvas, ARect);
}

void TdxSkinLookAndFeelPainter::PDFViewerDrawNavigationPanePageButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                                      TcxButtonState AState,
                                                                      const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->PDFViewerNavigationPanePageButton, ACanvas, 0, ButtonStateToSkinState(AState),
                       AScaleFactor, ARect))
    inherited::PDFViewerDrawNavigationPanePageButton(ACanvas, ARect, AState, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::PDFViewerDrawNavigationPanePageToolbarBackground(TcxCanvas* ACanvas,
                                                                                 const TRect& ARect)
{
  if (!DrawSkinElementAtSystemScale(SkinInfo()->Dock, ACanvas, 0, esNormal, ARect))
    inherited::PDFViewerDrawNavigationPanePageToolbarBackground(ACanvas, ARect);
}

void TdxSkinLookAndFeelPainter::PDFViewerDrawFindPanelBackground(TcxCanvas* ACanvas, const TRect& R,
                                                                 TcxBorders ABorders)
{
  using enum TcxBorder;
  TdxSkinElement* element = SkinInfo()->PDFViewerFindPanel;
  if (!element) {
    inherited::PDFViewerDrawFindPanelBackground(ACanvas, R, ABorders);
    return;
  }
  // The sides without a border push the element's frame outside the clip.
  TRect margins = element->GetImage()->GetMargins()->GetMargin();
  if (ABorders.Contains(bLeft))
    margins.left = 0;
  if (ABorders.Contains(bTop))
    margins.top = 0;
  if (ABorders.Contains(bRight))
    margins.right = 0;
  if (ABorders.Contains(bBottom))
    margins.bottom = 0;
  ACanvas->SaveClipRegion();
  const rtl::Finally restoreClip([&] { ACanvas->RestoreClipRegion(); });
  ACanvas->IntersectClipRect(R);
  DrawSkinElementAtSystemScale(element, ACanvas, 0, esNormal, cxRectInflateByMargins(R, margins));
}

void TdxSkinLookAndFeelPainter::PDFViewerDrawPageThumbnailPreviewBackground(TcxCanvas* ACanvas, const TRect& ARect)
{
  DrawGroupBoxBackground(ACanvas, ARect, ARect);
}

IdxColorPalette* TdxSkinLookAndFeelPainter::PDFViewerNavigationPaneButtonColorPalette(TcxButtonState AState)
{
  return GetElementGlyphColorPalette(SkinInfo()->PDFViewerNavigationPaneButton, ButtonStateToSkinState(AState));
}

TSize TdxSkinLookAndFeelPainter::PDFViewerNavigationPaneButtonSize(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->PDFViewerNavigationPaneButton;
  return element ? dxSkinElementScaledMinSize(element, const_cast<TdxScaleFactor*>(AScaleFactor))
                 : inherited::PDFViewerNavigationPaneButtonSize(AScaleFactor);
}

TPoint TdxSkinLookAndFeelPainter::PDFViewerNavigationPaneButtonOverlay(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinLookAndFeelPainterInfo* info = SkinInfo();
  TPoint overlay = inherited::PDFViewerNavigationPaneButtonOverlay(AScaleFactor);
  if (info->PDFViewerNavigationPaneSelectedPageOverlapValue)
    overlay.x = info->PDFViewerNavigationPaneSelectedPageOverlapValue->GetValue();
  if (info->PDFViewerNavigationPaneSelectedPageExpandValue)
    overlay.y = info->PDFViewerNavigationPaneSelectedPageExpandValue->GetValue();
  return overlay;
}

#define KV_ELEMENT_OFFSETS(AOperation, AElement)                                                 \
  TRect TdxSkinLookAndFeelPainter::AOperation(const TdxScaleFactor* AScaleFactor)                \
  {                                                                                              \
    TdxSkinElement* element = SkinInfo()->AElement;                                              \
    return element ? AScaleFactor->Apply(element->GetContentOffset()->GetRect())                 \
                   : inherited::AOperation(AScaleFactor);                                        \
  }
KV_ELEMENT_OFFSETS(PDFViewerNavigationPaneButtonContentOffsets, PDFViewerNavigationPaneButton)
KV_ELEMENT_OFFSETS(PDFViewerNavigationPaneContentOffsets, PDFViewerNavigationPaneBackground)
KV_ELEMENT_OFFSETS(PDFViewerNavigationPanePageCaptionContentOffsets, PDFViewerNavigationPanePageCaption)
KV_ELEMENT_OFFSETS(PDFViewerNavigationPanePageContentOffsets, PDFViewerNavigationPanePageBackground)
KV_ELEMENT_OFFSETS(PDFViewerNavigationPanePageToolbarContentOffsets, Bar)
KV_ELEMENT_OFFSETS(PrintPreviewPageBordersScaledWidth, PrintingPageBorder)
#undef KV_ELEMENT_OFFSETS

TColor TdxSkinLookAndFeelPainter::PDFViewerNavigationPanePageCaptionTextColor()
{
  TdxSkinElement* element = SkinInfo()->PDFViewerNavigationPanePageCaption;
  return element ? element->GetTextColor() : inherited::PDFViewerNavigationPanePageCaptionTextColor();
}

TColor TdxSkinLookAndFeelPainter::PDFViewerSelectionColor()
{
  TdxSkinColor* color = SkinInfo()->PDFViewerSelectionColor;
  return IsSkinColorAssigned(color) ? color->GetValue() : inherited::PDFViewerSelectionColor();
}

// ---------------------------------------------------------------------------
// Print preview

void TdxSkinLookAndFeelPainter::DrawPrintPreviewScaledBackground(TcxCanvas* ACanvas, const TRect& R,
                                                                 const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->PrintingPreviewBackground, ACanvas, 0, esNormal, AScaleFactor, R))
    DrawPrintPreviewBackground(ACanvas, R);
}

void TdxSkinLookAndFeelPainter::DrawPrintPreviewPageScaledBackground(TcxCanvas* ACanvas, const TRect& ABorderRect,
                                                                     const TRect& AContentRect, bool ASelected,
                                                                     bool ADrawContent,
                                                                     const TdxScaleFactor*)
{
  TdxSkinElement* element = SkinInfo()->PrintingPageBorder;
  if (!element) {
    DrawPrintPreviewPageBackground(ACanvas, ABorderRect, AContentRect, ASelected, ADrawContent);
    return;
  }
  ACanvas->SaveClipRegion();
  const rtl::Finally restoreClip([&] { ACanvas->RestoreClipRegion(); });
  if (ADrawContent)
    ACanvas->FillRect(AContentRect, static_cast<TColor>(0xFFFFFF));
  ACanvas->ExcludeClipRect(AContentRect);
  DrawSkinElementAtSystemScale(element, ACanvas, 0, ASelected ? esActive : esNormal, ABorderRect);
}

TColor TdxSkinLookAndFeelPainter::PrintPreviewBackgroundTextColor()
{
  TdxSkinLookAndFeelPainterInfo* info = SkinInfo();
  if (IsElementTextColorAssigned(info->PrintingPreviewBackground))
    return info->PrintingPreviewBackground->GetTextColor();
  if (IsElementTextColorAssigned(info->MainMenu))
    return info->MainMenu->GetTextColor();
  return inherited::PrintPreviewBackgroundTextColor();
}

// ---------------------------------------------------------------------------
// Map control: the skin's values as they stand; a painter whose skin could
// not be loaded answers the inherited values instead of empty ones.

#define KV_MAP_VALUE(AType, AOperation, AValue)                       \
  AType TdxSkinLookAndFeelPainter::AOperation()                       \
  {                                                                   \
    TdxSkinLookAndFeelPainterInfo* info = SkinInfo();                 \
    return info->GetSkinObject() ? (AValue) : inherited::AOperation(); \
  }
KV_MAP_VALUE(TColor, MapControlBackgroundColor, info->MapControlBackColor)
KV_MAP_VALUE(TdxAlphaColor, MapControlPanelBackColor, info->MapControlPanelBackColor)
KV_MAP_VALUE(TdxAlphaColor, MapControlPanelHotTrackedTextColor, info->MapControlPanelHotTrackedTextColor)
KV_MAP_VALUE(TdxAlphaColor, MapControlPanelPressedTextColor, info->MapControlPanelPressedTextColor)
KV_MAP_VALUE(TdxAlphaColor, MapControlPanelTextColor, info->MapControlPanelTextColor)
KV_MAP_VALUE(TdxAlphaColor, MapControlSelectedRegionBackgroundColor, info->MapControlSelectedRegionBackgroundColor)
KV_MAP_VALUE(TdxAlphaColor, MapControlSelectedRegionBorderColor, info->MapControlSelectedRegionBorderColor)
KV_MAP_VALUE(TdxAlphaColor, MapControlShapeColor, info->MapControlShapeColor[0])
KV_MAP_VALUE(TdxAlphaColor, MapControlShapeHighlightedColor, info->MapControlShapeColor[2])
KV_MAP_VALUE(TdxAlphaColor, MapControlShapeSelectedColor, info->MapControlShapeColor[3])
KV_MAP_VALUE(TdxAlphaColor, MapControlShapeBorderColor, info->MapControlShapeBorderColor[0])
KV_MAP_VALUE(TdxAlphaColor, MapControlShapeBorderHighlightedColor, info->MapControlShapeBorderColor[2])
KV_MAP_VALUE(TdxAlphaColor, MapControlShapeBorderSelectedColor, info->MapControlShapeBorderColor[3])
KV_MAP_VALUE(TdxAlphaColor, MapControlMapCustomElementTextGlowColor, info->MapControlCustomElementTextGlowColor)
KV_MAP_VALUE(TdxAlphaColor, MapControlMapPushpinTextGlowColor, info->MapControlPushpinTextGlowColor)
#undef KV_MAP_VALUE

#define KV_MAP_SCALED_VALUE(AType, AOperation, AValue)                            \
  AType TdxSkinLookAndFeelPainter::AOperation(const TdxScaleFactor* AScaleFactor) \
  {                                                                               \
    TdxSkinLookAndFeelPainterInfo* info = SkinInfo();                             \
    return info->GetSkinObject() ? AScaleFactor->Apply(AValue)                    \
                                 : inherited::AOperation(AScaleFactor);           \
  }
KV_MAP_SCALED_VALUE(int, MapControlShapeBorderWidth, info->MapControlShapeBorderWidth[0])
KV_MAP_SCALED_VALUE(int, MapControlShapeBorderHighlightedWidth, info->MapControlShapeBorderWidth[2])
KV_MAP_SCALED_VALUE(int, MapControlShapeBorderSelectedWidth, info->MapControlShapeBorderWidth[3])
KV_MAP_SCALED_VALUE(TPoint, MapControlGetMapPushpinTextOrigin, info->MapControlPushpinTextOrigin)
#undef KV_MAP_SCALED_VALUE

TdxAlphaColor TdxSkinLookAndFeelPainter::MapControlMapCustomElementTextColor()
{
  TdxSkinElement* element = SkinInfo()->MapControlCustomElement;
  return element ? dxColorToAlphaColor(element->GetTextColor()) : inherited::MapControlMapCustomElementTextColor();
}

TdxAlphaColor TdxSkinLookAndFeelPainter::MapControlMapPushpinTextColor()
{
  TdxSkinElement* element = SkinInfo()->MapControlPushpin;
  return element ? dxColorToAlphaColor(element->GetTextColor()) : inherited::MapControlMapPushpinTextColor();
}

TSize TdxSkinLookAndFeelPainter::MapControlGetMapPushpinSize(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->MapControlPushpin;
  return element ? AScaleFactor->Apply(element->GetImage()->GetSize())
                 : inherited::MapControlGetMapPushpinSize(AScaleFactor);
}

TRect TdxSkinLookAndFeelPainter::MapControlMapCustomElementSelectionOffset(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->MapControlCustomElement;
  return element ? AScaleFactor->Apply(element->GetContentOffset()->GetRect())
                 : inherited::MapControlMapCustomElementSelectionOffset(AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawMapCustomElementBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                               TdxMapControlElementState AState)
{
  using enum TdxMapControlElementState;
  TdxSkinElement* element = SkinInfo()->MapControlCustomElement;
  if (!element) {
    inherited::DrawMapCustomElementBackground(ACanvas, ARect, AState);
    return;
  }
  static constexpr TdxSkinElementState kMap[] = {esNormal, esHot, esPressed, esPressed, esDisabled};
  if (AState == mcesHot || AState == mcesPressed || AState == mcesSelected)
    DrawSkinElementAtSystemScale(element, ACanvas, 0, kMap[static_cast<int>(AState)], ARect);
}

void TdxSkinLookAndFeelPainter::DrawMapPushpin(TcxCanvas* ACanvas, const TRect& ARect,
                                               TdxMapControlElementState AState, const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->MapControlPushpin, ACanvas, 0, esNormal, AScaleFactor, ARect))
    inherited::DrawMapPushpin(ACanvas, ARect, AState, AScaleFactor);
}

// ---------------------------------------------------------------------------
// Gauge

TColor TdxSkinLookAndFeelPainter::GaugeControlBackgroundColor()
{
  TdxSkinElement* element = SkinInfo()->GaugeBackground;
  return IsElementColorAssigned(element) ? element->GetColor() : inherited::GaugeControlBackgroundColor();
}

void TdxSkinLookAndFeelPainter::DrawGaugeControlBackground(TcxCanvas* ACanvas, const TRect& ARect, bool,
                                                           TColor)
{
  FillBackground(ACanvas, ARect, nullptr, GaugeControlBackgroundColor(), false);
}
