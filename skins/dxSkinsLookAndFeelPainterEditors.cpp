// The skin painter's editor elements: container and popup borders, editor
// buttons and their glyphs, progress bars, track bars and range track bars,
// the clock, the data navigator, the range control, rating indicators,
// tokens, wheel pickers, bevels, the breadcrumb edit and the calculator's
// colours.
#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/cxGraphicsColors.h"
#include "graphics/cxGraphicsDraw.h"
#include "graphics/dxCoreGraphics.h"
#include "graphics/dxGDIPlusClasses.h"
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

// ---------------------------------------------------------------------------
// Clock

TSize TdxSkinLookAndFeelPainter::ScaledClockSize(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* face = SkinInfo()->ClockElements[0];
  return face ? dxSkinElementScaledMinSize(face, const_cast<TdxScaleFactor*>(AScaleFactor))
              : inherited::ScaledClockSize(AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledClock(TcxCanvas* ACanvas, const TRect& ARect, rtl::TDateTime ADateTime,
                                                TColor ABackgroundColor, const TdxScaleFactor* AScaleFactor)
{
  TdxSkinLookAndFeelPainterInfo* info = SkinInfo();
  TdxSkinElement* face = info->ClockElements[0];
  TdxSkinElement* glass = info->ClockElements[1];
  if (!face || !glass) {
    inherited::DrawScaledClock(ACanvas, ARect, ADateTime, ABackgroundColor, AScaleFactor);
    return;
  }
  if (cxRectHasNoArea(ARect))
    return;
  // Face, hands and glass are composed off screen over the background, so
  // that the glass's translucency lies over the hands.
  const rtl::TOwnedPtr<TcxBitmap32> bitmap(
      rtl::NewWith<TcxBitmap32>([&](TcxBitmap32* B) { B->CreateSize(ARect, false); }));
  TcxCanvas* canvas = bitmap->GetcxCanvas();
  const TRect client = bitmap->GetClientRect();
  if (ABackgroundColor == clNone)
    cxBlitRect(canvas->GetHandle(), ACanvas->GetHandle(), client, TPoint{ARect.left, ARect.top});
  else
    canvas->FillRect(client, ABackgroundColor);
  DrawSkinElement(face, canvas, 0, esNormal, AScaleFactor, client);
  DrawScaledModernClockHands(canvas, client, ADateTime, face->GetTextColor(), AScaleFactor);
  DrawSkinElement(glass, canvas, 0, esNormal, AScaleFactor, client);
  cxBlitRect(ACanvas->GetHandle(), canvas->GetHandle(), ARect, cxNullPoint);
}

// ---------------------------------------------------------------------------
// Data navigator

void TdxSkinLookAndFeelPainter::DrawNavigatorBorder(TcxCanvas* ACanvas, const TRect& R, bool ASelected)
{
  TdxSkinColor* color = SkinInfo()->ContainerBorderColor;
  if (!color) {
    inherited::DrawNavigatorBorder(ACanvas, R, ASelected);
    return;
  }
  const TColor value = color->GetValue();
  dxSkinPaint(ACanvas->GetHandle(), R, [&](TdxGPCanvas* C) { C->Rectangle(R, value, clNone, 1); });
}

void TdxSkinLookAndFeelPainter::DrawNavigatorScaledButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                          TColor ABackgroundColor, const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->NavigatorButton, ACanvas, 0, ButtonStateToSkinState(AState), AScaleFactor, R))
    inherited::DrawNavigatorScaledButton(ACanvas, R, AState, ABackgroundColor, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawNavigatorScaledButtonGlyph(TcxCanvas* ACanvas, TCustomImageList* AImageList,
                                                               int AImageIndex, const TRect& AGlyphRect,
                                                               bool AEnabled, bool AUserGlyphs,
                                                               const TdxScaleFactor* AScaleFactor)
{
  TdxSkinLookAndFeelPainterInfo* info = SkinInfo();
  if (!info->NavigatorGlyphs || !info->NavigatorGlyphsVert || AUserGlyphs) {
    inherited::DrawNavigatorScaledButtonGlyph(ACanvas, AImageList, AImageIndex, AGlyphRect, AEnabled, AUserGlyphs,
                                              AScaleFactor);
    return;
  }
  if (cxRectHasNoArea(AGlyphRect) || AImageIndex < 0)
    return;
  // The vertical glyphs continue the numbering of the horizontal ones.
  TdxSkinElement* element = info->NavigatorGlyphs;
  if (AImageIndex >= element->GetImageCount()) {
    AImageIndex -= element->GetImageCount();
    element = info->NavigatorGlyphsVert;
    if (AImageIndex >= element->GetImageCount())
      return;
  }
  const TSize size = element->GetImage()->GetSize();
  const TSize scaled = AScaleFactor->Apply(size);
  const TRect target = cxRectCenterBox(AGlyphRect, scaled.cx, scaled.cy);
  if (element->GetImage()->GetStates().Contains(esDisabled)) {
    DrawSkinElement(element, ACanvas, AImageIndex, AEnabled ? esNormal : esDisabled, AScaleFactor, target);
    return;
  }
  // A skin without a disabled picture: the normal one turned grey.
  const rtl::TOwnedPtr<TcxBitmap32> bitmap(
      rtl::NewWith<TcxBitmap32>([&](TcxBitmap32* B) { B->CreateSize(size.cx, size.cy, true); }));
  element->Draw(bitmap->GetCanvas()->GetHandle(), bitmap->GetClientRect(),
                const_cast<TdxScaleFactor*>(dxGetDefaultScaleFactor()), AImageIndex, esNormal);
  if (!AEnabled)
    dxSkinsGrayScaleBitmap(bitmap.get());
  cxAlphaBlend(ACanvas->GetHandle(), bitmap.get(), target, bitmap->GetClientRect(), false, 255);
}

bool TdxSkinLookAndFeelPainter::NavigatorBorderOverlap()
{
  return false;
}

TRect TdxSkinLookAndFeelPainter::NavigatorScaledButtonGlyphPadding(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->NavigatorButton;
  return element ? AScaleFactor->Apply(element->GetContentOffset()->GetRect())
                 : inherited::NavigatorScaledButtonGlyphPadding(AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::NavigatorScaledButtonGlyphSize(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->NavigatorGlyphs;
  return element ? AScaleFactor->Apply(element->GetImage()->GetSize())
                 : inherited::NavigatorScaledButtonGlyphSize(AScaleFactor);
}

IdxColorPalette* TdxSkinLookAndFeelPainter::NavigatorButtonColorPalette(bool AEnabled)
{
  return GetElementGlyphColorPalette(SkinInfo()->NavigatorButton, AEnabled ? esNormal : esDisabled);
}

TPoint TdxSkinLookAndFeelPainter::NavigatorButtonPressedGlyphOffset()
{
  return cxNullPoint;
}

TColor TdxSkinLookAndFeelPainter::NavigatorButtonTextColor(TcxButtonState AState)
{
  TdxSkinElement* element = SkinInfo()->NavigatorButton;
  const TColor color = element ? element->GetTextColor(AState) : clDefault;
  return color != clDefault ? color : inherited::NavigatorButtonTextColor(AState);
}

// ---------------------------------------------------------------------------
// Range track bars

TdxSkinElement* TdxSkinLookAndFeelPainter::GetRangeTrackBarLeftThumbSkinElement(bool, TcxTrackBarTicksAlign ATicks)
{
  TdxSkinLookAndFeelPainterInfo* info = SkinInfo();
  return ATicks == TcxTrackBarTicksAlign::tbtaBoth ? info->RangeTrackBarThumbBoth : info->RangeTrackBarThumbLeft;
}

TdxSkinElement* TdxSkinLookAndFeelPainter::GetRangeTrackBarRightThumbSkinElement(bool, TcxTrackBarTicksAlign ATicks)
{
  TdxSkinLookAndFeelPainterInfo* info = SkinInfo();
  return ATicks == TcxTrackBarTicksAlign::tbtaBoth ? info->RangeTrackBarThumbBoth : info->RangeTrackBarThumbRight;
}

bool TdxSkinLookAndFeelPainter::DrawRangeTrackBarScaledThumbSkinElement(TcxCanvas* ACanvas,
                                                                        TdxSkinElement* ASkinElement,
                                                                        const TRect& ARect, TcxButtonState AState,
                                                                        bool AHorizontal,
                                                                        TcxTrackBarTicksAlign ATicks,
                                                                        const TdxScaleFactor* AScaleFactor)
{
  // The thumbs are drawn for a horizontal bar with ticks below; the other
  // layouts turn and mirror them.
  const bool ticksUp = ATicks == TcxTrackBarTicksAlign::tbtaUp;
  TcxRotationAngle angle = TcxRotationAngle::ra0;
  bool flip = ticksUp;
  if (!AHorizontal) {
    angle = ticksUp ? TcxRotationAngle::raMinus90 : TcxRotationAngle::raPlus90;
    flip = !ticksUp;
  }
  return DrawRotatedSkinElement(ACanvas, ASkinElement, ARect, ButtonStateToSkinState(AState), angle, flip,
                                AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::RangeTrackBarScaledLeftThumbSize(bool AHorizontal, TcxTrackBarTicksAlign ATicks,
                                                                  const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = GetRangeTrackBarLeftThumbSkinElement(AHorizontal, ATicks);
  return element ? AScaleFactor->Apply(element->GetImage()->GetSize())
                 : inherited::RangeTrackBarScaledLeftThumbSize(AHorizontal, ATicks, AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::RangeTrackBarScaledRightThumbSize(bool AHorizontal, TcxTrackBarTicksAlign ATicks,
                                                                   const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = GetRangeTrackBarRightThumbSkinElement(AHorizontal, ATicks);
  return element ? AScaleFactor->Apply(element->GetImage()->GetSize())
                 : inherited::RangeTrackBarScaledRightThumbSize(AHorizontal, ATicks, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawRangeTrackBarScaledLeftThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                                 TcxButtonState AState, bool AHorizontal,
                                                                 TcxTrackBarTicksAlign ATicks, TColor AThumbColor,
                                                                 const TdxScaleFactor* AScaleFactor)
{
  if (!DrawRangeTrackBarScaledThumbSkinElement(ACanvas, GetRangeTrackBarLeftThumbSkinElement(AHorizontal, ATicks),
                                               ARect, AState, AHorizontal, ATicks, AScaleFactor))
    inherited::DrawRangeTrackBarScaledLeftThumb(ACanvas, ARect, AState, AHorizontal, ATicks, AThumbColor,
                                                AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawRangeTrackBarScaledRightThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                                  TcxButtonState AState, bool AHorizontal,
                                                                  TcxTrackBarTicksAlign ATicks, TColor AThumbColor,
                                                                  const TdxScaleFactor* AScaleFactor)
{
  if (!DrawRangeTrackBarScaledThumbSkinElement(ACanvas, GetRangeTrackBarRightThumbSkinElement(AHorizontal, ATicks),
                                               ARect, AState, AHorizontal, ATicks, AScaleFactor))
    inherited::DrawRangeTrackBarScaledRightThumb(ACanvas, ARect, AState, AHorizontal, ATicks, AThumbColor,
                                                 AScaleFactor);
}

// ---------------------------------------------------------------------------
// Range control

namespace {

// The skin information's alpha colours answer the default marker when the
// skin lacks the colour.
bool IsAlphaColorAssigned(TdxAlphaColor AColor)
{
  return AColor != TdxAlphaColorDefault;
}

}  // namespace

void TdxSkinLookAndFeelPainter::DrawRangeControlScaledLeftThumb(TcxCanvas* ACanvas, const TRect& ARect, TColor AColor,
                                                                TdxAlphaColor ABorderColor,
                                                                const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->RangeControlLeftThumb, ACanvas, 0, esNormal, AScaleFactor, ARect))
    inherited::DrawRangeControlScaledLeftThumb(ACanvas, ARect, AColor, ABorderColor, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawRangeControlScaledRightThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                                 TColor AColor, TdxAlphaColor ABorderColor,
                                                                 const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->RangeControlRightThumb, ACanvas, 0, esNormal, AScaleFactor, ARect))
    inherited::DrawRangeControlScaledRightThumb(ACanvas, ARect, AColor, ABorderColor, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawRangeControlScaledRulerHeader(TcxCanvas* ACanvas, const TRect& ARect, bool AIsHot,
                                                                  TdxAlphaColor AColor, TdxAlphaColor ABorderColor,
                                                                  const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->RangeControlRulerHeader, ACanvas, 0, AIsHot ? esHot : esNormal, AScaleFactor,
                       ARect))
    inherited::DrawRangeControlScaledRulerHeader(ACanvas, ARect, AIsHot, AColor, ABorderColor, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawRangeControlScaledSizingGlyph(TcxCanvas* ACanvas, const TRect& ARect,
                                                                  TdxAlphaColor ABorderColor,
                                                                  const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->RangeControlSizingGlyph, ACanvas, 0, esNormal, AScaleFactor, ARect))
    inherited::DrawRangeControlScaledSizingGlyph(ACanvas, ARect, ABorderColor, AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::GetRangeControlScaledSizingGlyphSize(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->RangeControlSizingGlyph;
  return element ? AScaleFactor->Apply(element->GetMinSize()->GetSize())
                 : inherited::GetRangeControlScaledSizingGlyphSize(AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::GetRangeControlScaledThumbSize(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->RangeControlLeftThumb;
  return element ? AScaleFactor->Apply(GetElementMinimalSize(element))
                 : inherited::GetRangeControlScaledThumbSize(AScaleFactor);
}

int TdxSkinLookAndFeelPainter::GetRangeControlScaledScrollAreaHeight(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinIntegerProperty* height = SkinInfo()->RangeControlScrollAreaHeight;
  return height ? AScaleFactor->Apply(height->GetValue())
                : inherited::GetRangeControlScaledScrollAreaHeight(AScaleFactor);
}

TColor TdxSkinLookAndFeelPainter::GetRangeControlBorderColor()
{
  TdxSkinElement* element = SkinInfo()->RangeControlBorder;
  return element ? element->GetBorders()->GetLeft()->GetColor() : inherited::GetRangeControlBorderColor();
}

TColor TdxSkinLookAndFeelPainter::GetRangeControlBackColor()
{
  const TdxAlphaColor color = SkinInfo()->RangeControlBackColor;
  return IsAlphaColorAssigned(color) ? dxAlphaColorToColor(color) : inherited::GetRangeControlBackColor();
}

#define KV_RANGE_CONTROL_ALPHA_COLOR(AOperation, AField)          \
  TdxAlphaColor TdxSkinLookAndFeelPainter::AOperation()           \
  {                                                               \
    const TdxAlphaColor color = SkinInfo()->AField;               \
    return IsAlphaColorAssigned(color) ? color : inherited::AOperation(); \
  }
KV_RANGE_CONTROL_ALPHA_COLOR(GetRangeControlElementsBorderColor, RangeControlInnerBorderColor)
KV_RANGE_CONTROL_ALPHA_COLOR(GetRangeControlOutOfRangeColor, RangeControlOutOfRangeColorMask)
KV_RANGE_CONTROL_ALPHA_COLOR(GetRangeControlRulerColor, RangeControlRuleColor)
KV_RANGE_CONTROL_ALPHA_COLOR(GetRangeControlSelectedRegionBackgroundColor, RangeControlSelectionColor)
KV_RANGE_CONTROL_ALPHA_COLOR(GetRangeControlSelectedRegionBorderColor, RangeControlSelectionBorderColor)
#undef KV_RANGE_CONTROL_ALPHA_COLOR

#define KV_RANGE_CONTROL_COLOR(AOperation, AField)                          \
  TColor TdxSkinLookAndFeelPainter::AOperation()                            \
  {                                                                         \
    TdxSkinColor* color = SkinInfo()->AField;                               \
    return color ? color->GetValue() : inherited::AOperation();             \
  }
KV_RANGE_CONTROL_COLOR(GetRangeControlDefaultElementColor, RangeControlDefaultElementColor)
KV_RANGE_CONTROL_COLOR(GetRangeControlElementForeColor, RangeControlElementForeColor)
KV_RANGE_CONTROL_COLOR(GetRangeControlLabelColor, RangeControlLabelColor)
KV_RANGE_CONTROL_COLOR(GetRangeControlRangePreviewColor, RangeControlRangePreviewColor)
KV_RANGE_CONTROL_COLOR(GetRangeControlScrollAreaColor, RangeControlScrollAreaColor)
KV_RANGE_CONTROL_COLOR(GetRangeControlViewPortPreviewColor, RangeControlViewPortPreviewColor)
#undef KV_RANGE_CONTROL_COLOR

// ---------------------------------------------------------------------------
// Rating indicators, tokens, wheel pickers

TdxSkinElementState TdxSkinLookAndFeelPainter::RatingStateToSkinState(TdxRatingControlIndicatorState AState)
{
  static constexpr TdxSkinElementState kMap[] = {esNormal, esActive, esHot};
  return kMap[static_cast<int>(AState)];
}

void TdxSkinLookAndFeelPainter::DrawRatingControlScaledIndicator(TcxCanvas* ACanvas, const TRect& ABounds,
                                                                 TdxRatingControlIndicatorState AState,
                                                                 const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->RatingIndicator, ACanvas, 0, RatingStateToSkinState(AState), AScaleFactor,
                       ABounds))
    inherited::DrawRatingControlScaledIndicator(ACanvas, ABounds, AState, AScaleFactor);
}

IdxColorPalette* TdxSkinLookAndFeelPainter::GetRatingControlIndicatorColorPalette(
    TdxRatingControlIndicatorState AState)
{
  return GetElementGlyphColorPalette(SkinInfo()->RatingIndicator, RatingStateToSkinState(AState));
}

TSize TdxSkinLookAndFeelPainter::GetRatingControlScaledIndicatorSize(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->RatingIndicator;
  return element ? AScaleFactor->Apply(element->GetImage()->GetSize())
                 : inherited::GetRatingControlScaledIndicatorSize(AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledTokenBackground(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                          const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->HighlightedItem;
  if (!element) {
    inherited::DrawScaledTokenBackground(ACanvas, R, AState, AScaleFactor);
    return;
  }
  // A token at rest is its text alone.
  if (AState == cxbsHot || AState == cxbsPressed)
    DrawSkinElement(element, ACanvas, AState == cxbsPressed ? 1 : 0, esNormal, AScaleFactor, R);
}

IdxColorPalette* TdxSkinLookAndFeelPainter::GetTokenColorPalette(TcxButtonState AState)
{
  return GetElementGlyphColorPalette(SkinInfo()->HighlightedItem, ButtonStateToSkinState(AState));
}

TColor TdxSkinLookAndFeelPainter::GetTokenTextColor(TcxButtonState AState)
{
  const TColor color = inherited::GetTokenTextColor(AState);
  TdxSkinElement* element = SkinInfo()->HighlightedItem;
  if (element && (AState == cxbsHot || AState == cxbsPressed))
    return cxGetActualColor(element->GetTextColor(), color);
  return color;
}

void TdxSkinLookAndFeelPainter::DrawWheelPickerItem(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState)
{
  TdxSkinElement* element = SkinInfo()->HighlightedItem;
  if (!element) {
    inherited::DrawWheelPickerItem(ACanvas, ARect, AState);
    return;
  }
  if (AState == cxbsHot || AState == cxbsPressed)
    DrawSkinElementAtSystemScale(element, ACanvas, AState == cxbsHot ? 1 : 0, esNormal, ARect);
}

IdxColorPalette* TdxSkinLookAndFeelPainter::GetWheelPickerColorPalette(TcxButtonState AState)
{
  return GetElementGlyphColorPalette(SkinInfo()->HighlightedItem, ButtonStateToSkinState(AState));
}

// ---------------------------------------------------------------------------
// Breadcrumb edit

TdxSkinElementState TdxSkinLookAndFeelPainter::BreadcrumbButtonStateToSkinState(TdxBreadcrumbEditButtonState AState)
{
  static constexpr TdxSkinElementState kMap[] = {esNormal, esFocused, esHot, esPressed, esDisabled};
  return kMap[static_cast<int>(AState)];
}

TColor TdxSkinLookAndFeelPainter::BreadcrumbEditBackgroundColor(TdxBreadcrumbEditState AState)
{
  const auto& colors = SkinInfo()->BreadcrumbEditBackgroundColors;
  if (IsSkinColorAssigned(colors[static_cast<int>(AState)]))
    return colors[static_cast<int>(AState)]->GetValue();
  if (IsSkinColorAssigned(colors[static_cast<int>(TdxBreadcrumbEditState::dxbcsNormal)]))
    return colors[static_cast<int>(TdxBreadcrumbEditState::dxbcsNormal)]->GetValue();
  return inherited::BreadcrumbEditBackgroundColor(AState);
}

TColor TdxSkinLookAndFeelPainter::BreadcrumbEditBordersColor(TdxBreadcrumbEditState AState)
{
  const auto& colors = SkinInfo()->BreadcrumbEditBordersColors;
  if (IsSkinColorAssigned(colors[static_cast<int>(AState)]))
    return colors[static_cast<int>(AState)]->GetValue();
  if (IsSkinColorAssigned(colors[static_cast<int>(TdxBreadcrumbEditState::dxbcsNormal)]))
    return colors[static_cast<int>(TdxBreadcrumbEditState::dxbcsNormal)]->GetValue();
  return clDefault;
}

void TdxSkinLookAndFeelPainter::DrawBreadcrumbEditBorders(TcxCanvas* ACanvas, const TRect& ARect,
                                                          TcxBorders ABorders, TdxBreadcrumbEditState AState)
{
  const TColor color = BreadcrumbEditBordersColor(AState);
  if (cxIsColorAssigned(color))
    ACanvas->FrameRect(ARect, color, 1, ABorders);
  else
    inherited::DrawBreadcrumbEditBorders(ACanvas, ARect, ABorders, AState);
}

void TdxSkinLookAndFeelPainter::DrawBreadcrumbEditScaledButtonCore(TcxCanvas* ACanvas, const TRect& ARect,
                                                                   TdxSkinElement* AButtonElement,
                                                                   TdxBreadcrumbEditButtonState AState,
                                                                   bool AIsFirst, bool,
                                                                   const TdxScaleFactor* AScaleFactor)
{
  AButtonElement->SetUseCache(true);
  const TdxSkinElementState state = BreadcrumbButtonStateToSkinState(AState);
  TdxSkinProperty* merge = AButtonElement->GetPropertyByName(L"MergeBorders");
  if (!rtl::Is<TdxSkinBooleanProperty>(merge) || !static_cast<TdxSkinBooleanProperty*>(merge)->GetValue()) {
    DrawSkinElement(AButtonElement, ACanvas, 0, state, AScaleFactor, ARect);
    return;
  }
  // Merged borders: the button's frame lies over the editor's and the
  // neighbour's, so it is drawn beyond the rectangle and clipped.
  ACanvas->SaveClipRegion();
  const rtl::Finally restoreClip([&] { ACanvas->RestoreClipRegion(); });
  ACanvas->IntersectClipRect(ARect);
  const TRect offsets = AButtonElement->GetContentOffset()->GetRect();
  TRect bounds = cxRectInflateByMargins(cxRectInflateAll(ARect, -1), offsets);
  if (!(AIsFirst && BreadcrumbEditScaledButtonAreaSeparatorSize(AScaleFactor) > 0))
    bounds.left += offsets.left - 1;
  DrawSkinElement(AButtonElement, ACanvas, 0, state, AScaleFactor, bounds);
}

void TdxSkinLookAndFeelPainter::DrawBreadcrumbEditScaledButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                               TdxBreadcrumbEditButtonState AState, bool AIsFirst,
                                                               bool AIsLast, const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->BreadcrumbEditButton;
  if (element)
    DrawBreadcrumbEditScaledButtonCore(ACanvas, ARect, element, AState, AIsFirst, AIsLast, AScaleFactor);
  else
    inherited::DrawBreadcrumbEditScaledButton(ACanvas, ARect, AState, AIsFirst, AIsLast, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawBreadcrumbEditScaledDropDownButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                                       TdxBreadcrumbEditButtonState AState,
                                                                       bool AIsInEditor,
                                                                       const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->BreadcrumbEditDropDownButton;
  if (element)
    DrawBreadcrumbEditScaledButtonCore(ACanvas, ARect, element, AState, false, true, AScaleFactor);
  else
    inherited::DrawBreadcrumbEditScaledDropDownButton(ACanvas, ARect, AState, AIsInEditor, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawBreadcrumbEditScaledDropDownButtonGlyph(TcxCanvas* ACanvas, const TRect& ARect,
                                                                            TdxBreadcrumbEditButtonState AState,
                                                                            bool AIsInEditor,
                                                                            const TdxScaleFactor* AScaleFactor)
{
  // The skin's drop-down button carries its arrow in its picture.
  if (!SkinInfo()->BreadcrumbEditDropDownButton)
    inherited::DrawBreadcrumbEditScaledDropDownButtonGlyph(ACanvas, ARect, AState, AIsInEditor, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawBreadcrumbEditScaledNode(TcxCanvas* ACanvas, const TRect& R,
                                                             TdxBreadcrumbEditButtonState AState, bool AHasDelimiter,
                                                             const TdxScaleFactor* AScaleFactor)
{
  TdxSkinLookAndFeelPainterInfo* info = SkinInfo();
  TdxSkinElement* element = AHasDelimiter ? info->BreadcrumbEditNodeSplitButtonLeft : info->BreadcrumbEditNodeButton;
  if (!DrawSkinElement(element, ACanvas, 0, BreadcrumbButtonStateToSkinState(AState), AScaleFactor, R))
    inherited::DrawBreadcrumbEditScaledNode(ACanvas, R, AState, AHasDelimiter, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawBreadcrumbEditScaledNodeDelimiter(TcxCanvas* ACanvas, const TRect& R,
                                                                      TdxBreadcrumbEditButtonState AState,
                                                                      const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->BreadcrumbEditNodeSplitButtonRight, ACanvas, 0,
                       BreadcrumbButtonStateToSkinState(AState), AScaleFactor, R))
    inherited::DrawBreadcrumbEditScaledNodeDelimiter(ACanvas, R, AState, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawBreadcrumbEditScaledNodeDelimiterGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                                           TdxBreadcrumbEditButtonState AState,
                                                                           const TdxScaleFactor*)
{
  using enum TcxArrowDirection;
  const TcxArrowDirection direction = AState == TdxBreadcrumbEditButtonState::dxbcbsPressed ? adDown
                                      : ACanvas->GetUseRightToLeftAlignment()                   ? adLeft
                                                                                               : adRight;
  DrawArrow(ACanvas, cxRectInflateAll(R, -1), direction, BreadcrumbEditNodeTextColor(AState));
}

void TdxSkinLookAndFeelPainter::DrawBreadcrumbEditScaledNodeMoreButtonGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                                            TdxBreadcrumbEditButtonState AState,
                                                                            const TdxScaleFactor* AScaleFactor)
{
  DrawCollapseArrow(ACanvas, R, BreadcrumbEditNodeTextColor(AState), AScaleFactor->Apply(2));
}

void TdxSkinLookAndFeelPainter::DrawBreadcrumbEditScaledButtonAreaSeparator(TcxCanvas* ACanvas, const TRect& ARect,
                                                                            TdxBreadcrumbEditState AState,
                                                                            const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->BreadcrumbEditButtonsAreaSeparator, ACanvas, 0, esNormal, AScaleFactor, ARect))
    inherited::DrawBreadcrumbEditScaledButtonAreaSeparator(ACanvas, ARect, AState, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawBreadcrumbEditScaledProgressChunk(TcxCanvas* ACanvas, const TRect& R,
                                                                      const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->BreadcrumbEditProgressChunk, ACanvas, 0, esNormal, AScaleFactor, R))
    inherited::DrawBreadcrumbEditScaledProgressChunk(ACanvas, R, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawBreadcrumbEditScaledProgressChunkOverlay(TcxCanvas* ACanvas, const TRect& R,
                                                                             const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->BreadcrumbEditProgressChunkOverlay, ACanvas, 0, esNormal, AScaleFactor, R))
    inherited::DrawBreadcrumbEditScaledProgressChunkOverlay(ACanvas, R, AScaleFactor);
}

TColor TdxSkinLookAndFeelPainter::BreadcrumbEditNodeTextColor(TdxBreadcrumbEditButtonState AState)
{
  TdxSkinElement* element = SkinInfo()->BreadcrumbEditNodeButton;
  if (!element)
    return inherited::BreadcrumbEditNodeTextColor(AState);
  static const wchar_t* const names[] = {nullptr, L"TextColorSelected", L"TextColorHot", L"TextColorPressed",
                                         L"TextColorDisabled"};
  if (const wchar_t* name = names[static_cast<int>(AState)]) {
    TdxSkinProperty* property = element->GetPropertyByName(name);
    if (rtl::Is<TdxSkinColor>(property) && static_cast<TdxSkinColor*>(property)->GetValue() != clDefault)
      return static_cast<TdxSkinColor*>(property)->GetValue();
  }
  return element->GetTextColor();
}

IdxColorPalette* TdxSkinLookAndFeelPainter::BreadcrumbEditButtonColorPalette(TdxBreadcrumbEditButtonState AState)
{
  return GetElementGlyphColorPalette(SkinInfo()->BreadcrumbEditButton, BreadcrumbButtonStateToSkinState(AState));
}

int TdxSkinLookAndFeelPainter::BreadcrumbEditScaledButtonAreaSeparatorSize(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->BreadcrumbEditButtonsAreaSeparator;
  return element ? AScaleFactor->Apply(element->GetMinSize()->GetWidth())
                 : inherited::BreadcrumbEditScaledButtonAreaSeparatorSize(AScaleFactor);
}

TRect TdxSkinLookAndFeelPainter::BreadcrumbEditScaledButtonContentOffsets(bool AIsFirst, bool AIsLast,
                                                                          const TdxScaleFactor* AScaleFactor)
{
  TdxSkinLookAndFeelPainterInfo* info = SkinInfo();
  TdxSkinElement* element = info->BreadcrumbEditButton;
  if (!element)
    return inherited::BreadcrumbEditScaledButtonContentOffsets(AIsFirst, AIsLast, AScaleFactor);
  TRect offsets = element->GetContentOffset()->GetRect();
  if (info->BreadcrumbEditButtonMergeBorders) {
    offsets.right = 1;
    if (AIsFirst && BreadcrumbEditScaledButtonAreaSeparatorSize(AScaleFactor) > 0)
      offsets.left = 1;
  }
  return offsets;
}

int TdxSkinLookAndFeelPainter::BreadcrumbEditScaledDropDownButtonWidth(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->BreadcrumbEditDropDownButton;
  return element ? AScaleFactor->Apply(element->GetMinSize()->GetWidth())
                 : inherited::BreadcrumbEditScaledDropDownButtonWidth(AScaleFactor);
}

bool TdxSkinLookAndFeelPainter::BreadcrumbEditIsFadingSupports()
{
  return true;
}

TRect TdxSkinLookAndFeelPainter::BreadcrumbEditScaledNodeTextOffsets(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->BreadcrumbEditNodeButton;
  return element ? AScaleFactor->Apply(element->GetContentOffset()->GetRect())
                 : inherited::BreadcrumbEditScaledNodeTextOffsets(AScaleFactor);
}

TRect TdxSkinLookAndFeelPainter::BreadcrumbEditScaledProgressChunkPadding(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinRectProperty* padding = SkinInfo()->BreadcrumbEditProgressChunkPadding;
  return padding ? AScaleFactor->Apply(padding->GetValue()->GetRect())
                 : inherited::BreadcrumbEditScaledProgressChunkPadding(AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::BreadcrumbEditScaledProgressChunkOverlaySize(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->BreadcrumbEditProgressChunkOverlay;
  return element ? AScaleFactor->Apply(element->GetMinSize()->GetSize())
                 : inherited::BreadcrumbEditScaledProgressChunkOverlaySize(AScaleFactor);
}
