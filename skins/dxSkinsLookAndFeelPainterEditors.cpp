// The skin painter's editor elements: container and popup borders, editor
// buttons and their glyphs, progress bars, track bars, the navigator's info
// panel, bevels and the calculator's colours.
#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphicsColors.h"
#include "platform/rtl/SysUtils.h"
#include "skins/dxSkinsLookAndFeelPainter.h"

using enum TcxButtonState;
using enum TcxContainerBorderStyle;
using enum TcxEditBtnKind;
using enum TcxEditBtnPosition;
using enum TdxSkinElementState;

using namespace vcl;

// ---------------------------------------------------------------------------
// Container borders

void TdxSkinLookAndFeelPainter::DrawBorder(TcxCanvas* ACanvas, const TRect& R)
{
  TdxSkinColor* color = SkinInfo()->ContainerBorderColor;
  if (color)
    ACanvas->FrameRect(R, color->GetValue());
  else
    inherited::DrawBorder(ACanvas, R);
}

void TdxSkinLookAndFeelPainter::DrawContainerBorder(TcxCanvas* ACanvas, const TRect& R, TcxContainerBorderStyle,
                                                    int AWidth, TColor AColor, TcxBorders ABorders)
{
  // A skinned container always has a plain single frame; the Office-like
  // look is skipped on purpose.
  TcxCustomLookAndFeelPainter::DrawContainerBorder(ACanvas, R, cbsSingle, AWidth, AColor, ABorders);
}

TColor TdxSkinLookAndFeelPainter::GetContainerBorderColor(bool AIsHighlightBorder)
{
  TdxSkinLookAndFeelPainterInfo* info = SkinInfo();
  TdxSkinColor* color = AIsHighlightBorder ? info->ContainerHighlightBorderColor : info->ContainerBorderColor;
  return color ? color->GetValue() : inherited::GetContainerBorderColor(AIsHighlightBorder);
}

int TdxSkinLookAndFeelPainter::GetContainerBorderWidth(TcxContainerBorderStyle ABorderStyle)
{
  if (ABorderStyle == cbsNone)
    return inherited::GetContainerBorderWidth(ABorderStyle);
  return ABorderStyle == cbsThick ? 2 : 1;
}

void TdxSkinLookAndFeelPainter::DrawEditPopupWindowBorder(TcxCanvas* ACanvas, TRect& R, TcxEditPopupBorderStyle,
                                                          bool)
{
  ACanvas->FrameRect(R, GetContainerBorderColor(false));
  R = cxRectInflateAll(R, -1);
}

int TdxSkinLookAndFeelPainter::GetEditPopupWindowBorderWidth(TcxEditPopupBorderStyle)
{
  return 1;
}

int TdxSkinLookAndFeelPainter::GetEditPopupWindowClientEdgeWidth(TcxEditPopupBorderStyle)
{
  return 2;
}

// ---------------------------------------------------------------------------
// Editor buttons

void TdxSkinLookAndFeelPainter::EditButtonAdjustRect(TRect& R, TcxEditBtnPosition APosition)
{
  if (!SkinInfo()->EditButtonMergeBorders)
    return;
  R = cxRectInflateSides(R, APosition == cxbpLeft ? 1 : 0, 1, APosition == cxbpRight ? 1 : 0, 1);
}

void TdxSkinLookAndFeelPainter::DrawScaledEditorButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                       TcxEditBtnKind AButtonKind, TcxButtonState AState,
                                                       const TdxScaleFactor* AScaleFactor,
                                                       TcxEditBtnPosition APosition)
{
  TdxSkinElement* element = SkinInfo()->EditButtonElements[AButtonKind == cxbkCloseBtn ? 1 : 0];
  if (!element) {
    inherited::DrawScaledEditorButton(ACanvas, ARect, AButtonKind, AState, AScaleFactor, APosition);
    return;
  }
  ACanvas->SaveClipRegion();
  const rtl::Finally restoreClip([&] { ACanvas->RestoreClipRegion(); });
  ACanvas->IntersectClipRect(ARect);
  TRect bounds = ARect;
  EditButtonAdjustRect(bounds, APosition);
  element->SetUseCache(true);
  DrawSkinElement(element, ACanvas, 0, ButtonStateToSkinState(AState), AScaleFactor, bounds);
}

void TdxSkinLookAndFeelPainter::DrawScaledEditorButtonGlyph(TcxCanvas* ACanvas, const TRect& ARect,
                                                            TcxEditBtnKind AButtonKind, TcxButtonState AState,
                                                            const TdxScaleFactor* AScaleFactor,
                                                            TcxEditBtnPosition APosition)
{
  TdxSkinLookAndFeelPainterInfo* info = SkinInfo();
  TdxSkinElement* element = info->EditButtonElements[AButtonKind == cxbkCloseBtn ? 1 : 0];
  if (!element)
    return;
  ACanvas->SaveClipRegion();
  const rtl::Finally restoreClip([&] { ACanvas->RestoreClipRegion(); });
  ACanvas->IntersectClipRect(ARect);
  TRect bounds = ARect;
  EditButtonAdjustRect(bounds, APosition);
  const TRect offsets = element->GetContentOffset()->GetRect();
  TRect glyphBounds = cxRectDeflateByMargins(bounds, offsets);
  // Merged borders give the outer side back to the glyph, less the frame.
  if (info->EditButtonMergeBorders) {
    if (APosition == cxbpRight)
      glyphBounds.right += offsets.right - 1;
    else
      glyphBounds.left -= offsets.left - 1;
  }
  if (AButtonKind != cxbkEllipsisBtn) {
    TdxSkinElement* glyph = info->EditButtonGlyphs[static_cast<int>(AButtonKind)];
    if (glyph)
      glyph->GetGlyph()->Draw(ACanvas->GetHandle(), glyphBounds, const_cast<TdxScaleFactor*>(AScaleFactor), 0,
                              ButtonStateToSkinState(AState));
    return;
  }
  // Three square dots, two pixels apart.
  const int dot = AScaleFactor->Apply(cxRectGetWidth(glyphBounds) >= AScaleFactor->Apply(12) ? 2 : 1);
  TColor color = info->EditButtonElements[0] ? info->EditButtonElements[0]->GetTextColor() : clDefault;
  if (AState == cxbsDisabled) {
    TdxSkinProperty* disabled =
        info->EditButtonElements[0] ? info->EditButtonElements[0]->GetPropertyByName(L"DisabledText") : nullptr;
    if (rtl::Is<TdxSkinColor>(disabled) && static_cast<TdxSkinColor*>(disabled)->GetValue() != clDefault)
      color = static_cast<TdxSkinColor*>(disabled)->GetValue();
  }
  const TRect box = cxRectCenterBox(glyphBounds, 3 * dot + 4, dot);
  for (int i = 0; i < 3; ++i)
    ACanvas->FillRect(cxRectBounds(box.left + i * (dot + 2), box.top, dot, dot), color);
}

void TdxSkinLookAndFeelPainter::DrawScaledSearchEditButtonGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                                TcxButtonState AState,
                                                                const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->EditButtonSearchGlyph, ACanvas, 0, ButtonStateToSkinState(AState), AScaleFactor,
                       R))
    inherited::DrawScaledSearchEditButtonGlyph(ACanvas, R, AState, AScaleFactor);
}

IdxColorPalette* TdxSkinLookAndFeelPainter::EditButtonColorPalette(TcxButtonState AState)
{
  return GetElementGlyphColorPalette(SkinInfo()->EditButtonElements[0], ButtonStateToSkinState(AState));
}

TSize TdxSkinLookAndFeelPainter::EditButtonSize()
{
  TdxSkinElement* element = SkinInfo()->EditButtonElements[0];
  return element ? dxSkinElementScaledMinSize(element, dxGetDefaultScaleFactor()) : inherited::EditButtonSize();
}

TColor TdxSkinLookAndFeelPainter::EditButtonTextColor()
{
  TdxSkinElement* element = SkinInfo()->EditButtonElements[0];
  return element ? element->GetTextColor() : inherited::EditButtonTextColor();
}

int TdxSkinLookAndFeelPainter::EditButtonTextOffset()
{
  return 1;
}

TColor TdxSkinLookAndFeelPainter::CalcEditButtonTextColor(TcxCalcButtonKind AButtonKind)
{
  TdxSkinColor* color = SkinInfo()->CalcEditButtonTextColors[static_cast<int>(AButtonKind)];
  return IsSkinColorAssigned(color) ? color->GetValue() : inherited::CalcEditButtonTextColor(AButtonKind);
}

// ---------------------------------------------------------------------------
// Progress bars and track bars

void TdxSkinLookAndFeelPainter::DrawProgressBarBorder(TcxCanvas* ACanvas, const TRect& ARect, bool AVertical)
{
  if (!DrawSkinElementAtSystemScale(SkinInfo()->ProgressBarElements[AVertical], ACanvas, 0, esNormal, ARect))
    inherited::DrawProgressBarBorder(ACanvas, ARect, AVertical);
}

void TdxSkinLookAndFeelPainter::DrawProgressBarChunk(TcxCanvas* ACanvas, const TRect& ARect, bool AVertical)
{
  if (!DrawSkinElementAtSystemScale(SkinInfo()->ProgressBarElements[2 + AVertical], ACanvas, 0, esNormal, ARect))
    inherited::DrawProgressBarChunk(ACanvas, ARect, AVertical);
}

TRect TdxSkinLookAndFeelPainter::ProgressBarBorderSize(bool AVertical)
{
  TdxSkinElement* element = SkinInfo()->ProgressBarElements[AVertical];
  return element ? element->GetContentOffset()->GetRect() : inherited::ProgressBarBorderSize(AVertical);
}

TColor TdxSkinLookAndFeelPainter::ProgressBarTextColorEx(bool AIsFilledArea)
{
  TdxSkinColor* color = SkinInfo()->ProgressBarTextColors[AIsFilledArea];
  return IsSkinColorAssigned(color) ? color->GetValue() : inherited::ProgressBarTextColorEx(AIsFilledArea);
}

void TdxSkinLookAndFeelPainter::DrawTrackBarScaledThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                        TcxButtonState AState, bool AHorizontal,
                                                        TcxTrackBarTicksAlign ATicks, TColor AThumbColor,
                                                        const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->TrackBarThumb[AHorizontal][static_cast<int>(ATicks)], ACanvas, 0,
                       ButtonStateToSkinState(AState), AScaleFactor, ARect))
    inherited::DrawTrackBarScaledThumb(ACanvas, ARect, AState, AHorizontal, ATicks, AThumbColor, AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::TrackBarScaledThumbSize(bool AHorizontal, const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element =
      SkinInfo()->TrackBarThumb[AHorizontal][static_cast<int>(TcxTrackBarTicksAlign::tbtaDown)];
  return element ? AScaleFactor->Apply(element->GetImage()->GetSize())
                 : inherited::TrackBarScaledThumbSize(AHorizontal, AScaleFactor);
}

int TdxSkinLookAndFeelPainter::TrackBarScaledTrackSize(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->TrackBarTrack[1];
  return element ? AScaleFactor->Apply(element->GetImage()->GetSize().cy)
                 : inherited::TrackBarScaledTrackSize(AScaleFactor);
}

TColor TdxSkinLookAndFeelPainter::TrackBarTicksColor(bool AText)
{
  TdxSkinColor* color = SkinInfo()->TrackBarTickColor;
  return color ? color->GetValue() : inherited::TrackBarTicksColor(AText);
}

void TdxSkinLookAndFeelPainter::DrawTrackBarScaledTrack(TcxCanvas* ACanvas, const TRect& ARect,
                                                        const TRect& ASelection, bool AShowSelection, bool AEnabled,
                                                        bool AHorizontal, TColor ATrackColor,
                                                        const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->TrackBarTrack[AHorizontal];
  if (!element) {
    inherited::DrawTrackBarScaledTrack(ACanvas, ARect, ASelection, AShowSelection, AEnabled, AHorizontal,
                                       ATrackColor, AScaleFactor);
    return;
  }
  // Images: enabled track, its selection, disabled track, its selection.
  const int imageIndex = AEnabled ? 0 : 2;
  DrawSkinElement(element, ACanvas, imageIndex, esNormal, AScaleFactor, ARect);
  if (!AShowSelection)
    return;
  ACanvas->SaveClipRegion();
  const rtl::Finally restoreClip([&] { ACanvas->RestoreClipRegion(); });
  ACanvas->IntersectClipRect(ASelection);
  DrawSkinElement(element, ACanvas, imageIndex + 1, esNormal, AScaleFactor, ARect);
}

// ---------------------------------------------------------------------------
// Navigator, bevels

TColor TdxSkinLookAndFeelPainter::NavigatorInfoPanelColor()
{
  TdxSkinColor* color = SkinInfo()->NavigatorInfoPanelColor;
  return IsSkinColorAssigned(color) ? color->GetValue() : inherited::NavigatorInfoPanelColor();
}

TColor TdxSkinLookAndFeelPainter::NavigatorInfoPanelTextColor()
{
  TdxSkinColor* color = SkinInfo()->NavigatorInfoPanelTextColor;
  return IsSkinColorAssigned(color) ? color->GetValue() : inherited::NavigatorInfoPanelTextColor();
}

void TdxSkinLookAndFeelPainter::GetBevelShapeColors(TColor& AColor1, TColor& AColor2)
{
  inherited::GetBevelShapeColors(AColor1, AColor2);
  TdxSkinLookAndFeelPainterInfo* info = SkinInfo();
  if (info->BevelShapeColor1 && info->BevelShapeColor1->GetValue() != clDefault)
    AColor1 = info->BevelShapeColor1->GetValue();
  if (info->BevelShapeColor2 && info->BevelShapeColor2->GetValue() != clDefault)
    AColor2 = info->BevelShapeColor2->GetValue();
}

TSize TdxSkinLookAndFeelPainter::GetBevelMinimalShapeSize(TdxBevelShape)
{
  TdxSkinLookAndFeelPainterInfo* info = SkinInfo();
  const int side = static_cast<int>(IsSkinColorAssigned(info->BevelShapeColor1)) +
                   static_cast<int>(IsSkinColorAssigned(info->BevelShapeColor2));
  return {side, side};
}
