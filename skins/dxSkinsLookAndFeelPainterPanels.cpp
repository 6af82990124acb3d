// The skin painter's group boxes, panels, layout-control and scroll-box
// backgrounds, and galleries.
#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/cxGraphicsColors.h"
#include "graphics/cxGraphicsDraw.h"
#include "platform/rtl/SysUtils.h"
#include "skins/dxSkinsLookAndFeelPainter.h"

using enum TcxBorder;
using enum TcxButtonState;
using enum TcxGroupBoxCaptionPosition;
using enum TcxRotationAngle;
using enum TdxSkinElementState;

using namespace vcl;

namespace {

TcxButtonState GalleryItemButtonState(const TdxGalleryItemViewState& AState)
{
  if (!AState.Enabled)
    return cxbsDisabled;
  if (AState.Pressed)
    return cxbsPressed;
  return AState.Hover || AState.Focused ? cxbsHot : cxbsNormal;
}

TdxSkinElementState GalleryItemSkinState(const TdxGalleryItemViewState& AState)
{
  if (!AState.Enabled)
    return esDisabled;
  if (AState.Pressed)
    return esPressed;
  if (AState.Hover || AState.Focused)
    return AState.Checked ? esHotCheck : esHot;
  return AState.Checked ? esChecked : esNormal;
}

}  // namespace

void TdxSkinLookAndFeelPainter::DrawCaptionSkinElement(TcxCanvas* ACanvas, const TRect& ARect,
                                                       TdxSkinElementState AState,
                                                       TdxSkinIntegerProperty* ATextPadding, TdxSkinElement* AElement,
                                                       const TRect& ATextRect)
{
  DrawSkinElementAtSystemScale(AElement, ACanvas, 0, AState, ARect);
  if (!IsElementColorAssigned(AElement) || cxRectHasNoArea(ATextRect))
    return;
  const TRect textArea = cxRectInflateAll(ATextRect, ATextPadding ? ATextPadding->GetValue() : 0);
  ACanvas->SaveClipRegion();
  const rtl::Finally restoreClip([&] { ACanvas->RestoreClipRegion(); });
  ACanvas->IntersectClipRect(ARect);
  ACanvas->FillRect(textArea, AElement->GetColor());
}

TRect TdxSkinLookAndFeelPainter::GetElementOuterMargins(TdxSkinElement* AElement)
{
  TRect result = AElement->GetContentOffset()->GetRect();
  TdxSkinBorders* borders = AElement->GetBorders();
  result.left += borders->GetLeft()->GetThin();
  result.top += borders->GetTop()->GetThin();
  result.right += borders->GetRight()->GetThin();
  result.bottom += borders->GetBottom()->GetThin();
  return result;
}

bool TdxSkinLookAndFeelPainter::IsElementFontBold(TdxSkinElement* AElement)
{
  TdxSkinProperty* property = AElement ? AElement->GetPropertyByName(L"FontBold") : nullptr;
  return rtl::Is<TdxSkinBooleanProperty>(property) && static_cast<TdxSkinBooleanProperty*>(property)->GetValue();
}

// ---------------------------------------------------------------------------
// Group boxes

void TdxSkinLookAndFeelPainter::DrawGroupBoxContent(TcxCanvas* ACanvas, const TRect& ABorderRect,
                                                    TcxGroupBoxCaptionPosition ACaptionPosition, TcxBorders ABorders)
{
  TdxSkinLookAndFeelPainterInfo* info = SkinInfo();
  TdxSkinElement* box = info->GroupBoxElements[static_cast<int>(ACaptionPosition)];
  if (!box || !info->GroupBoxClient) {
    TcxCustomLookAndFeelPainter::DrawGroupBoxContent(ACanvas, ABorderRect, ACaptionPosition, cxBordersAll);
    return;
  }
  if (cxRectHasNoArea(ABorderRect))
    return;
  ACanvas->SaveClipRegion();
  const rtl::Finally restoreClip([&] { ACanvas->RestoreClipRegion(); });
  ACanvas->IntersectClipRect(ABorderRect);
  // Sides without a border leave the client reaching the box's edge.
  const TRect margins = GetElementOuterMargins(box);
  const TRect inner = cxRectDeflateByMargins(
      ABorderRect, TRect{ABorders.Contains(bLeft) ? margins.left : 0, ABorders.Contains(bTop) ? margins.top : 0,
                         ABorders.Contains(bRight) ? margins.right : 0,
                         ABorders.Contains(bBottom) ? margins.bottom : 0});
  DrawSkinElementAtSystemScale(info->GroupBoxClient, ACanvas, 0, esNormal, inner);
  ACanvas->ExcludeClipRect(inner);
  DrawSkinElementAtSystemScale(box, ACanvas, 0, esNormal, ABorderRect);
}

void TdxSkinLookAndFeelPainter::DrawGroupBoxFrame(TcxCanvas* ACanvas, const TRect& R, bool,
                                                  TcxGroupBoxCaptionPosition ACaptionPosition, TcxBorders ABorders)
{
  DrawGroupBoxContent(ACanvas, R, ACaptionPosition, ABorders);
}

void TdxSkinLookAndFeelPainter::DrawGroupBoxBackground(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ARect)
{
  if (!DrawSkinElementAtSystemScale(SkinInfo()->GroupBoxClient, ACanvas, 0, esNormal, ARect))
    inherited::DrawGroupBoxBackground(ACanvas, ABounds, ARect);
}

void TdxSkinLookAndFeelPainter::DrawGroupBoxCaption(TcxCanvas* ACanvas, const TRect& ACaptionRect,
                                                    const TRect& ATextRect,
                                                    TcxGroupBoxCaptionPosition ACaptionPosition)
{
  TdxSkinLookAndFeelPainterInfo* info = SkinInfo();
  const int position = static_cast<int>(ACaptionPosition);
  if (TdxSkinElement* element = info->GroupBoxCaptionElements[position])
    DrawCaptionSkinElement(ACanvas, ACaptionRect, esNormal, info->GroupBoxCaptionTextPadding[position], element,
                           ATextRect);
  else
    inherited::DrawGroupBoxCaption(ACanvas, ACaptionRect, ATextRect, ACaptionPosition);
}

void TdxSkinLookAndFeelPainter::DrawGroupBoxScaledButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                         const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->GroupButton, ACanvas, 0, ButtonStateToSkinState(AState), AScaleFactor, R))
    inherited::DrawGroupBoxScaledButton(ACanvas, R, AState, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawGroupBoxScaledExpandGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                              TcxButtonState AState, bool AExpanded,
                                                              const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->GroupButtonExpandGlyph, ACanvas, AExpanded ? 0 : 1, ButtonStateToSkinState(AState),
                       AScaleFactor, R))
    inherited::DrawGroupBoxScaledExpandGlyph(ACanvas, R, AState, AExpanded, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawGroupBoxScaledExpandButton(TcxCanvas* ACanvas, const TRect& R,
                                                               TcxButtonState AState, bool AExpanded,
                                                               const TdxScaleFactor* AScaleFactor,
                                                               TcxRotationAngle ARotationAngle)
{
  const auto drawButton = [&](TcxCanvas* ACanvasToDraw, const TRect& ABounds) {
    TdxSkinLookAndFeelPainterInfo* info = SkinInfo();
    const TdxSkinElementState state = ButtonStateToSkinState(AState);
    const int imageIndex = AExpanded ? 0 : 1;
    if (DrawSkinElement(info->GroupButton, ACanvasToDraw, imageIndex, state, AScaleFactor, ABounds))
      DrawSkinElement(info->GroupButtonExpandGlyph, ACanvasToDraw, imageIndex, state, AScaleFactor, ABounds);
    else
      TcxCustomLookAndFeelPainter::DrawScaledExpandButtonEx(ACanvasToDraw, ABounds, AState, AExpanded, AScaleFactor,
                                                            ra0);
  };
  if (ARotationAngle == ra0) {
    drawButton(ACanvas, R);
    return;
  }
  if (cxRectHasNoArea(R))
    return;
  // A group whose caption runs along a side: the button is drawn upright in
  // a bitmap of the turned size and turned into place.
  const bool quarterTurn = ARotationAngle != ra180;
  const int width = quarterTurn ? cxRectGetHeight(R) : cxRectGetWidth(R);
  const int height = quarterTurn ? cxRectGetWidth(R) : cxRectGetHeight(R);
  const rtl::TOwnedPtr<TcxBitmap32> bitmap(
      rtl::NewWith<TcxBitmap32>([&](TcxBitmap32* B) { B->CreateSize(width, height, true); }));
  drawButton(bitmap->GetcxCanvas(), bitmap->GetClientRect());
  bitmap->Rotate(ARotationAngle);
  cxDrawImageToDC(ACanvas->GetHandle(), bitmap->GetClientRect(), R, nullptr, false, clNone, nullptr, false,
                  TcxImageDrawMode::idmNormal, bitmap.get());
}

TRect TdxSkinLookAndFeelPainter::GroupBoxBorderSize(bool ACaption, TcxGroupBoxCaptionPosition ACaptionPosition)
{
  TdxSkinLookAndFeelPainterInfo* info = SkinInfo();
  const int position = static_cast<int>(ACaptionPosition);
  TdxSkinElement* element = ACaption ? info->GroupBoxCaptionElements[position] : info->GroupBoxElements[position];
  return element ? element->GetContentOffset()->GetRect() : inherited::GroupBoxBorderSize(ACaption, ACaptionPosition);
}

void TdxSkinLookAndFeelPainter::GroupBoxAdjustCaptionFont(TFont* ACaptionFont,
                                                          TcxGroupBoxCaptionPosition ACaptionPosition)
{
  if (IsElementFontBold(SkinInfo()->GroupBoxCaptionElements[static_cast<int>(ACaptionPosition)]))
    ACaptionFont->SetStyle(ACaptionFont->GetStyle() + TFontStyles{TFontStyle::fsBold});
}

int TdxSkinLookAndFeelPainter::GroupBoxCaptionTailSize(TcxGroupBoxCaptionPosition ACaptionPosition)
{
  TdxSkinIntegerProperty* tail = SkinInfo()->GroupBoxCaptionTailSizes[static_cast<int>(ACaptionPosition)];
  return tail ? tail->GetValue() : inherited::GroupBoxCaptionTailSize(ACaptionPosition);
}

TColor TdxSkinLookAndFeelPainter::GroupBoxTextColor(bool AEnabled, TcxGroupBoxCaptionPosition ACaptionPosition)
{
  if (ACaptionPosition == cxgpCenter)
    return PanelTextColor();
  TdxSkinElement* element = SkinInfo()->GroupBoxCaptionElements[static_cast<int>(ACaptionPosition)];
  return element ? element->GetTextColor() : inherited::GroupBoxTextColor(AEnabled, ACaptionPosition);
}

bool TdxSkinLookAndFeelPainter::IsGroupBoxCaptionTextDrawnOverBorder(TcxGroupBoxCaptionPosition ACaptionPosition)
{
  TdxSkinElement* element = SkinInfo()->GroupBoxCaptionElements[static_cast<int>(ACaptionPosition)];
  return element ? IsElementColorAssigned(element) : inherited::IsGroupBoxCaptionTextDrawnOverBorder(ACaptionPosition);
}

bool TdxSkinLookAndFeelPainter::IsGroupBoxTransparent(bool AIsCaption, TcxGroupBoxCaptionPosition ACaptionPosition)
{
  TdxSkinLookAndFeelPainterInfo* info = SkinInfo();
  const int position = static_cast<int>(ACaptionPosition);
  TdxSkinElement* element = AIsCaption ? info->GroupBoxCaptionElements[position] : info->GroupBoxElements[position];
  return element ? element->IsAlphaUsed() : inherited::IsGroupBoxTransparent(AIsCaption, ACaptionPosition);
}

// ---------------------------------------------------------------------------
// Panels

void TdxSkinLookAndFeelPainter::DrawPanelContent(TcxCanvas* ACanvas, const TRect& ARect, bool ADrawBorders)
{
  if (!DrawSkinElementAtSystemScale(SkinInfo()->GroupBoxClient, ACanvas, 0, esNormal, ARect)) {
    inherited::DrawPanelContent(ACanvas, ARect, ADrawBorders);
    return;
  }
  if (ADrawBorders)
    DrawPanelBorders(ACanvas, ARect);
}

void TdxSkinLookAndFeelPainter::DrawPanelBorders(TcxCanvas* ACanvas, const TRect& ABorderRect)
{
  TdxSkinElement* element = SkinInfo()->GroupBoxElements[static_cast<int>(cxgpCenter)];
  if (!element) {
    inherited::DrawPanelBorders(ACanvas, ABorderRect);
    return;
  }
  ACanvas->SaveClipRegion();
  const rtl::Finally restoreClip([&] { ACanvas->RestoreClipRegion(); });
  ACanvas->ExcludeClipRect(cxRectDeflateByMargins(ABorderRect, element->GetContentOffset()->GetRect()));
  DrawSkinElementAtSystemScale(element, ACanvas, 0, esNormal, ABorderRect);
}

TRect TdxSkinLookAndFeelPainter::PanelBorderSize()
{
  TdxSkinElement* element = SkinInfo()->GroupBoxElements[static_cast<int>(cxgpCenter)];
  return element ? element->GetContentOffset()->GetRect() : inherited::PanelBorderSize();
}

TColor TdxSkinLookAndFeelPainter::PanelTextColor()
{
  TdxSkinElement* element = SkinInfo()->GroupBoxClient;
  return element ? element->GetTextColor() : inherited::PanelTextColor();
}

// ---------------------------------------------------------------------------
// Layout control and scroll box

void TdxSkinLookAndFeelPainter::DrawLayoutControlBackground(TcxCanvas* ACanvas, const TRect& R)
{
  ACanvas->FillRect(R, LayoutControlEmptyAreaColor());
}

void TdxSkinLookAndFeelPainter::DrawScrollBoxBackground(TcxCanvas* ACanvas, const TRect& R, TColor)
{
  ACanvas->FillRect(R, DefaultContentColor());
}

IdxColorPalette* TdxSkinLookAndFeelPainter::LayoutControlGetColorPaletteForGroupButton(TcxButtonState AState)
{
  return ButtonColorPalette(AState);
}

IdxColorPalette* TdxSkinLookAndFeelPainter::LayoutControlGetColorPaletteForItemCaption()
{
  return GetElementGlyphColorPalette(SkinInfo()->FormContent, esNormal);
}

// ---------------------------------------------------------------------------
// Galleries

void TdxSkinLookAndFeelPainter::DrawGalleryItemSelection(TcxCanvas* ACanvas, const TRect& R,
                                                         const TdxGalleryItemViewState& AViewState)
{
  if (!DrawSkinElementAtSystemScale(SkinInfo()->GalleryItem, ACanvas, 0, GalleryItemSkinState(AViewState), R))
    inherited::DrawGalleryItemSelection(ACanvas, R, AViewState);
}

bool TdxSkinLookAndFeelPainter::DrawGalleryItemSelectionFirst()
{
  return true;
}

void TdxSkinLookAndFeelPainter::DrawGalleryBackground(TcxCanvas* ACanvas, const TRect& ABounds)
{
  if (!DrawSkinElementAtSystemScale(SkinInfo()->GalleryBackground, ACanvas, 0, esNormal, ABounds))
    inherited::DrawGalleryBackground(ACanvas, ABounds);
}

void TdxSkinLookAndFeelPainter::DrawGalleryGroupHeader(TcxCanvas* ACanvas, const TRect& ABounds)
{
  if (!DrawSkinElementAtSystemScale(SkinInfo()->GalleryGroup, ACanvas, 0, esNormal, ABounds))
    inherited::DrawGalleryGroupHeader(ACanvas, ABounds);
}

void TdxSkinLookAndFeelPainter::DrawGalleryItemImageFrame(TcxCanvas* ACanvas, const TRect& R)
{
  if (!DrawSkinElementAtSystemScale(SkinInfo()->GalleryItemGlyphFrame, ACanvas, 0, esNormal, R))
    inherited::DrawGalleryItemImageFrame(ACanvas, R);
}

TColor TdxSkinLookAndFeelPainter::GetGalleryGroupTextColor()
{
  TdxSkinLookAndFeelPainterInfo* info = SkinInfo();
  if (IsElementTextColorAssigned(info->GalleryGroup))
    return info->GalleryGroup->GetTextColor();
  return info->GalleryItem ? info->GalleryItem->GetTextColor() : inherited::GetGalleryGroupTextColor();
}

TColor TdxSkinLookAndFeelPainter::GetGalleryItemCaptionTextColor(const TdxGalleryItemViewState& AState)
{
  TdxSkinElement* element = SkinInfo()->GalleryItem;
  return element ? element->GetTextColor(GalleryItemButtonState(AState))
                 : inherited::GetGalleryItemCaptionTextColor(AState);
}

TColor TdxSkinLookAndFeelPainter::GetGalleryItemDescriptionTextColor(const TdxGalleryItemViewState& AState)
{
  TdxSkinElement* element = SkinInfo()->GalleryItem;
  return element ? element->GetTextColor(GalleryItemButtonState(AState), L"Description")
                 : inherited::GetGalleryItemDescriptionTextColor(AState);
}

IdxColorPalette* TdxSkinLookAndFeelPainter::GetGalleryItemColorPalette(const TdxGalleryItemViewState& AState)
{
  return GetElementGlyphColorPalette(SkinInfo()->GalleryItem, ButtonStateToSkinState(GalleryItemButtonState(AState)));
}

TRect TdxSkinLookAndFeelPainter::GetGalleryScaledGroupHeaderContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->GalleryGroup;
  return element ? AScaleFactor->Apply(element->GetContentOffset()->GetRect())
                 : inherited::GetGalleryScaledGroupHeaderContentOffsets(AScaleFactor);
}

TColor TdxSkinLookAndFeelPainter::GetColorGalleryGlyphFrameColor()
{
  return GetContainerBorderColor(true);
}
