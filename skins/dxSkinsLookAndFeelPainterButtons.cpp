// The skin painter's buttons, check boxes, radio buttons, toggle switches,
// expand buttons, scroll bars and splitters.
#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphicsColors.h"
#include "skins/dxSkinsLookAndFeelPainter.h"

using enum TcxArrowDirection;
using enum TcxButtonPart;
using enum TcxButtonState;
using enum TcxCheckBoxState;
using enum TcxExpandButtonState;
using enum TcxScrollBarPart;
using enum TdxSkinElementState;
using enum vcl::TBrushStyle;

using namespace vcl;

namespace {

TSize ScaledSize(const TdxScaleFactor* AScaleFactor, const TSize& ASize)
{
  return AScaleFactor->Apply(ASize);
}

}  // namespace

// ---------------------------------------------------------------------------
// Push buttons

void TdxSkinLookAndFeelPainter::DrawScaledButton(TcxCanvas* ACanvas, const TRect& R, const rtl::String& ACaption,
                                                 TcxButtonState AState, const TdxScaleFactor* AScaleFactor,
                                                 bool ADrawBorder, TColor AColor, TColor ATextColor, bool AWordWrap,
                                                 bool AIsToolButton, TcxButtonPart APart)
{
  TdxSkinLookAndFeelPainterInfo* info = SkinInfo();
  TdxSkinElement* element = APart == cxbpDropDownLeftPart    ? info->DropDownButtonLeft
                            : APart == cxbpDropDownRightPart ? info->DropDownButtonRight
                                                             : info->ButtonElements;
  if (!element) {
    inherited::DrawScaledButton(ACanvas, R, ACaption, AState, AScaleFactor, ADrawBorder, AColor, ATextColor,
                                AWordWrap, AIsToolButton, APart);
    return;
  }
  // The skin's face is the whole look: border, fill and tool-button flag
  // change nothing.
  if (APart == cxbpButton)
    DrawSkinElement(element, ACanvas, 0, ButtonStateToSkinState(AState), AScaleFactor, R);
  else
    DrawSkinElementRTLAware(element, ACanvas, 0, ButtonStateToSkinState(AState), AScaleFactor, R);
  if (ACaption.empty())
    return;
  TRect textBounds = cxRectDeflateByMargins(R, element->GetContentOffset()->GetRect());
  if (cxRectGetHeight(textBounds) % 2 != 0)
    --textBounds.bottom;
  if (cxRectGetHeight(textBounds) < 18)
    --textBounds.top;
  if (AState == cxbsPressed) {
    const int shift = ScaledButtonTextShift(AScaleFactor);
    textBounds = cxRectOffsetBy(textBounds, shift, shift);
  }
  ACanvas->GetFont()->SetColor(ATextColor == clDefault ? ButtonSymbolColor(AState, clDefault) : ATextColor);
  ACanvas->GetBrush()->SetStyle(bsClear);
  ACanvas->DrawTexT(ACaption, textBounds,
                    cxtfAlignHCenter | cxtfAlignVCenter | cxtfShowPrefix | (AWordWrap ? cxtfWordBreak : cxtfSingleLine),
                    AState != cxbsDisabled);
  ACanvas->GetBrush()->SetStyle(bsSolid);
}

int TdxSkinLookAndFeelPainter::ButtonBorderSize(TcxButtonState AState)
{
  return SkinInfo()->ButtonElements ? 0 : inherited::ButtonBorderSize(AState);
}

IdxColorPalette* TdxSkinLookAndFeelPainter::ButtonColorPalette(TcxButtonState AState)
{
  return GetElementGlyphColorPalette(SkinInfo()->ButtonElements, ButtonStateToSkinState(AState));
}

TColor TdxSkinLookAndFeelPainter::ButtonSymbolColor(TcxButtonState AState, TColor ADefaultColor)
{
  TdxSkinLookAndFeelPainterInfo* info = SkinInfo();
  if (!info->ButtonElements)
    return inherited::ButtonSymbolColor(AState, ADefaultColor);
  if (AState == cxbsDisabled && info->ButtonDisabled)
    return info->ButtonDisabled->GetValue();
  return info->ButtonElements->GetTextColor(AState);
}

TColor TdxSkinLookAndFeelPainter::ButtonDescriptionTextColor(TcxButtonState AState, TColor ADefaultColor)
{
  TdxSkinElement* element = SkinInfo()->ButtonElements;
  const TColor result = element ? element->GetTextColor(AState, L"Description") : clDefault;
  return cxIsColorAssigned(result) ? result : ADefaultColor;
}

int TdxSkinLookAndFeelPainter::GetScaledDropDownButtonRightPartSize(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->DropDownButtonRight;
  if (element && element->GetMinSize()->GetWidth() > 0)
    return AScaleFactor->Apply(element->GetMinSize()->GetWidth());
  return inherited::GetScaledDropDownButtonRightPartSize(AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledBackButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                     const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->BackButton, ACanvas, 0, ButtonStateToSkinState(AState), AScaleFactor, R))
    inherited::DrawScaledBackButton(ACanvas, R, AState, AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::GetScaledBackButtonSize(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->BackButton;
  return element ? ScaledSize(AScaleFactor, element->GetMinSize()->GetSize())
                 : inherited::GetScaledBackButtonSize(AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledSmallButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                      const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->PageControlHeaderButton, ACanvas, 0, ButtonStateToSkinState(AState),
                       AScaleFactor, R))
    inherited::DrawScaledSmallButton(ACanvas, R, AState, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledSmallCloseButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                           const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->PageControlCloseButton, ACanvas, 0, ButtonStateToSkinState(AState),
                       AScaleFactor, R))
    inherited::DrawScaledSmallCloseButton(ACanvas, R, AState, AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::DoGetSmallCloseButtonSize()
{
  TdxSkinElement* element = SkinInfo()->PageControlCloseButton;
  return element ? element->GetMinSize()->GetSize() : inherited::DoGetSmallCloseButtonSize();
}

IdxColorPalette* TdxSkinLookAndFeelPainter::GetSmallButtonColorPalette(TcxButtonState AState)
{
  return GetElementGlyphColorPalette(SkinInfo()->ButtonElements, ButtonStateToSkinState(AState));
}

void TdxSkinLookAndFeelPainter::DrawScaledZoomInButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                       const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->ZoomInButton, ACanvas, 0, ButtonStateToSkinState(AState), AScaleFactor, R))
    inherited::DrawScaledZoomInButton(ACanvas, R, AState, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledZoomOutButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                        const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->ZoomOutButton, ACanvas, 0, ButtonStateToSkinState(AState), AScaleFactor, R))
    inherited::DrawScaledZoomOutButton(ACanvas, R, AState, AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::GetScaledZoomInButtonSize(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->ZoomInButton;
  return element ? ScaledSize(AScaleFactor, element->GetImage()->GetSize())
                 : inherited::GetScaledZoomInButtonSize(AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::GetScaledZoomOutButtonSize(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->ZoomOutButton;
  return element ? ScaledSize(AScaleFactor, element->GetImage()->GetSize())
                 : inherited::GetScaledZoomOutButtonSize(AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledSliderButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                       TcxArrowDirection ADirection, TcxButtonState AState,
                                                       const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->SliderArrow[static_cast<int>(ADirection)], ACanvas, 0,
                       ButtonStateToSkinState(AState), AScaleFactor, ARect))
    inherited::DrawScaledSliderButton(ACanvas, ARect, ADirection, AState, AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::ScaledSliderButtonSize(TcxArrowDirection ADirection,
                                                        const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->SliderArrow[static_cast<int>(ADirection)];
  return element ? ScaledSize(AScaleFactor, element->GetImage()->GetSize())
                 : inherited::ScaledSliderButtonSize(ADirection, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DoDrawSizeGrip(TcxCanvas* ACanvas, const TRect& ARect,
                                               const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->SizeGrip, ACanvas, 0, esNormal, AScaleFactor, ARect))
    inherited::DoDrawSizeGrip(ACanvas, ARect, AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::ScaledSizeGripSize(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->SizeGrip;
  return element ? ScaledSize(AScaleFactor, GetElementMinimalSize(element))
                 : inherited::ScaledSizeGripSize(AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawLabelLine(TcxCanvas* ACanvas, const TRect& R, TColor AOuterColor,
                                              TColor AInnerColor, bool AIsVertical)
{
  if (!DrawSkinElementAtSystemScale(SkinInfo()->LabelLine[AIsVertical], ACanvas, 0, esNormal, R))
    inherited::DrawLabelLine(ACanvas, R, AOuterColor, AInnerColor, AIsVertical);
}

void TdxSkinLookAndFeelPainter::DoDrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool AIsVertical)
{
  DrawLabelLine(ACanvas, R, clDefault, clDefault, AIsVertical);
}

int TdxSkinLookAndFeelPainter::LabelLineHeight()
{
  TdxSkinElement* element = SkinInfo()->LabelLine[0];
  return element ? element->GetMinSize()->GetHeight() : inherited::LabelLineHeight();
}

int TdxSkinLookAndFeelPainter::SeparatorSize()
{
  return LabelLineHeight();
}

// ---------------------------------------------------------------------------
// Expand buttons

void TdxSkinLookAndFeelPainter::DrawScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                                       const TdxScaleFactor* AScaleFactor, TColor AColor,
                                                       TcxExpandButtonState AState)
{
  if (!DrawSkinElementRTLAware(SkinInfo()->ExpandButton, ACanvas, AExpanded ? 1 : 0,
                               ExpandButtonStateToSkinState(AState), AScaleFactor, R))
    inherited::DrawScaledExpandButton(ACanvas, R, AExpanded, AScaleFactor, AColor, cebsNormal);
}

void TdxSkinLookAndFeelPainter::DrawScaledExpandButtonEx(TcxCanvas* ACanvas, const TRect& R, TcxButtonState,
                                                         bool AExpanded, const TdxScaleFactor* AScaleFactor,
                                                         TcxRotationAngle)
{
  DrawScaledExpandButton(ACanvas, R, AExpanded, AScaleFactor, clDefault, cebsNormal);
}

void TdxSkinLookAndFeelPainter::DrawScaledSmallExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                                            TColor ABorderColor, const TdxScaleFactor* AScaleFactor,
                                                            TColor AColor)
{
  if (!DrawSkinElementRTLAware(SkinInfo()->ExpandButton, ACanvas, AExpanded ? 1 : 0, esNormal, AScaleFactor, R))
    inherited::DrawScaledSmallExpandButton(ACanvas, R, AExpanded, ABorderColor, AScaleFactor, AColor);
}

int TdxSkinLookAndFeelPainter::ScaledExpandButtonSize(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->ExpandButton;
  return element ? dxSkinElementScaledMinSize(element, const_cast<TdxScaleFactor*>(AScaleFactor)).cy
                 : inherited::ScaledExpandButtonSize(AScaleFactor);
}

// ---------------------------------------------------------------------------
// Check boxes, radio buttons and toggle switches

void TdxSkinLookAndFeelPainter::DrawScaledCheckButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                      TcxCheckBoxState ACheckState,
                                                      const TdxScaleFactor* AScaleFactor)
{
  // Images 0, 1 and 2: unchecked, checked, grayed.
  if (!DrawSkinElement(SkinInfo()->CheckboxElement, ACanvas, static_cast<int>(ACheckState),
                       ButtonStateToSkinState(AState), AScaleFactor, R))
    inherited::DrawScaledCheckButton(ACanvas, R, AState, ACheckState, AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::ScaledCheckButtonSize(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->CheckboxElement;
  return element ? ScaledSize(AScaleFactor, element->GetImage()->GetSize())
                 : inherited::ScaledCheckButtonSize(AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledRadioButton(TcxCanvas* ACanvas, int X, int Y, TcxButtonState AButtonState,
                                                      bool AChecked, bool AFocused, TColor ABrushColor,
                                                      const TdxScaleFactor* AScaleFactor, bool AIsDesigning)
{
  TdxSkinElement* element = SkinInfo()->RadioGroupButton;
  if (!element) {
    inherited::DrawScaledRadioButton(ACanvas, X, Y, AButtonState, AChecked, AFocused, ABrushColor, AScaleFactor,
                                     AIsDesigning);
    return;
  }
  const TRect bounds = cxRectBoundsOfSize(X, Y, ScaledRadioButtonSize(AScaleFactor));
  if (ABrushColor != clDefault)
    ACanvas->FillRect(bounds, ABrushColor);
  DrawSkinElement(element, ACanvas, AChecked ? 1 : 0, ButtonStateToSkinState(AButtonState), AScaleFactor, bounds);
}

TSize TdxSkinLookAndFeelPainter::ScaledRadioButtonSize(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->RadioGroupButton;
  return element ? ScaledSize(AScaleFactor, element->GetImage()->GetSize())
                 : inherited::ScaledRadioButtonSize(AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledToggleSwitchState(TcxCanvas* ACanvas, const TRect& ABounds,
                                                            TcxButtonState AState, bool AChecked,
                                                            const TdxScaleFactor* AScaleFactor)
{
  const TdxSkinElementState state = AState == cxbsDisabled ? esDisabled : AChecked ? esActive : esNormal;
  if (!DrawSkinElement(SkinInfo()->ToggleSwitch, ACanvas, 1, state, AScaleFactor, ABounds))
    inherited::DrawScaledToggleSwitchState(ACanvas, ABounds, AState, AChecked, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledToggleSwitchThumb(TcxCanvas* ACanvas, const TRect& ABounds,
                                                            TcxButtonState AState,
                                                            const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->ToggleSwitchThumb, ACanvas, 0, ButtonStateToSkinState(AState), AScaleFactor,
                       ABounds))
    inherited::DrawScaledToggleSwitchThumb(ACanvas, ABounds, AState, AScaleFactor);
}

IdxColorPalette* TdxSkinLookAndFeelPainter::GetToggleSwitchColorPalette()
{
  return GetElementGlyphColorPalette(SkinInfo()->ToggleSwitch, esNormal);
}

int TdxSkinLookAndFeelPainter::GetToggleSwitchThumbPercentsWidth()
{
  TdxSkinElement* element = SkinInfo()->ToggleSwitchThumb;
  return element ? element->GetMinSize()->GetWidth() : inherited::GetToggleSwitchThumbPercentsWidth();
}

TColor TdxSkinLookAndFeelPainter::GetToggleSwitchTextColor()
{
  TdxSkinElement* element = SkinInfo()->ToggleSwitch;
  return element ? element->GetTextColor() : inherited::GetToggleSwitchTextColor();
}

// ---------------------------------------------------------------------------
// Scroll bars and splitters

void TdxSkinLookAndFeelPainter::DrawScaledScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const TRect& R,
                                                        TcxScrollBarPart APart, TcxButtonState AState,
                                                        const TdxScaleFactor* AScaleFactor)
{
  TdxSkinScrollInfo* info = SkinInfo()->ScrollBar_Elements[AHorizontal][static_cast<int>(APart)];
  if (!info || !info->GetElement()) {
    inherited::DrawScaledScrollBarPart(ACanvas, AHorizontal, R, APart, AState, AScaleFactor);
    return;
  }
  // A page part at rest lets the background show through.
  if ((APart == sbpPageUp || APart == sbpPageDown) && AState == cxbsNormal)
    return;
  DrawSkinElementRTLAware(info->GetElement(), ACanvas, info->GetImageIndex(), ButtonStateToSkinState(AState),
                          AScaleFactor, R);
}

void TdxSkinLookAndFeelPainter::DrawScaledScrollBarBackground(TcxCanvas* ACanvas, const TRect& R, bool AHorizontal,
                                                              const TdxScaleFactor* AScaleFactor)
{
  TdxSkinScrollInfo* info = SkinInfo()->ScrollBar_Elements[AHorizontal][static_cast<int>(sbpPageUp)];
  if (!info || !info->GetElement()) {
    inherited::DrawScaledScrollBarBackground(ACanvas, R, AHorizontal, AScaleFactor);
    return;
  }
  info->GetElement()->SetUseCache(true);
  DrawSkinElementRTLAware(info->GetElement(), ACanvas, 0, esNormal, AScaleFactor, R);
}

int TdxSkinLookAndFeelPainter::ScaledScrollBarMinimalThumbSize(bool AVertical, const TdxScaleFactor* AScaleFactor)
{
  TdxSkinScrollInfo* info = SkinInfo()->ScrollBar_Elements[!AVertical][static_cast<int>(sbpThumbnail)];
  if (!info || !info->GetElement())
    return inherited::ScaledScrollBarMinimalThumbSize(AVertical, AScaleFactor);
  const TSize size = GetElementMinimalSize(info->GetElement());
  return AScaleFactor->Apply(AVertical ? size.cy : size.cx);
}

void TdxSkinLookAndFeelPainter::DrawScaledScrollBarSplitter(TcxCanvas* ACanvas, const TRect& R,
                                                            TcxButtonState AState,
                                                            const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->Splitter[0];
  if (!element) {
    inherited::DrawScaledScrollBarSplitter(ACanvas, R, AState, AScaleFactor);
    return;
  }
  element->GetGlyph()->Draw(ACanvas->GetHandle(), R, const_cast<TdxScaleFactor*>(AScaleFactor), 0, esNormal);
}

void TdxSkinLookAndFeelPainter::DrawScaledSplitter(TcxCanvas* ACanvas, const TRect& ARect, bool AHighlighted,
                                                   bool AClicked, bool AHorizontal,
                                                   const TdxScaleFactor* AScaleFactor, bool AHasCloseMark,
                                                   TcxArrowDirection AArrowDirection)
{
  // Image 0 is the plain splitter; 1 and 2 carry a close mark pointing up or
  // left, and down or right.
  int imageIndex = 0;
  if (AHasCloseMark)
    imageIndex = AArrowDirection == adUp || AArrowDirection == adLeft ? 1 : 2;
  if (!DrawSkinElement(SkinInfo()->Splitter[AHorizontal], ACanvas, imageIndex, AHighlighted ? esHot : esNormal,
                       AScaleFactor, ARect))
    inherited::DrawScaledSplitter(ACanvas, ARect, AHighlighted, AClicked, AHorizontal, AScaleFactor, AHasCloseMark,
                                  AArrowDirection);
}

TSize TdxSkinLookAndFeelPainter::GetScaledSplitterSize(bool AHorizontal, const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->Splitter[AHorizontal];
  return element ? ScaledSize(AScaleFactor, element->GetMinSize()->GetSize())
                 : inherited::GetScaledSplitterSize(AHorizontal, AScaleFactor);
}
