// The cxEdit unit's paint utilities: edges, frames and backgrounds of an
// editor, the width and margins of edit buttons, a few colour choices and
// the conversion between the library's text-output flags and DrawText's.
#include "editors/cxEdit.h"

#include <algorithm>
#include <array>

#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "core/dxThemeManager.h"
#include "core/dxUxTheme.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsColors.h"
#include "graphics/cxGraphicsDraw.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "lookandfeel/cxLookAndFeels.h"

namespace {

using enum TcxEditButtonStyle;
using enum TcxButtonState;

// A rectangle of a theme part's content within (0, 0, 100, 100); nullopt
// without the theme.
bool ThemeContentRect(HTHEME ATheme, HDC DC, TRect& AContent)
{
  if (!ATheme)
    return false;
  const TRect bounds{0, 0, 100, 100};
  AContent = bounds;
  return SUCCEEDED(dxUxGetThemeBackgroundContentRect(ATheme, DC, 1, 1, bounds, &AContent));
}

HTHEME NativeButtonTheme(TcxEditButtonViewInfo* AButtonViewInfo)
{
  return dxOpenTheme(AButtonViewInfo->Data.ComboBoxStyle ? TdxThemedObjectType::totComboBox
                                                          : TdxThemedObjectType::totButton);
}

}  // namespace

HBRUSH cxEditGetSolidBrush(vcl::TColor AColor)
{
  return TdxSolidBrushCache::Get(AColor);
}

void cxFillRectWithColor(TcxCanvas* ACanvas, const TRect& R, vcl::TColor AColor)
{
  FillRect(ACanvas->GetHandle(), &R, cxEditGetSolidBrush(AColor));
}

void cxEditFillRect(HDC DC, const TRect& R, HBRUSH ABrush)
{
  FillRect(DC, &R, ABrush);
}

void cxEditFillRectFrame(TcxCanvas* ACanvas, const TRect& AOuter, const TRect& AInner, HBRUSH ABrush)
{
  if (cxRectHasNoArea(AOuter) || EqualRect(&AOuter, &AInner))
    return;
  const HDC DC = ACanvas->GetHandle();
  if (cxRectHasNoArea(AInner)) {
    cxEditFillRect(DC, AOuter, ABrush);
    return;
  }
  const std::array<TRect, 4> strips{TRect{AOuter.left, AOuter.top, AInner.left, AOuter.bottom},
                                    TRect{AInner.left, AOuter.top, AInner.right, AInner.top},
                                    TRect{AInner.right, AOuter.top, AOuter.right, AOuter.bottom},
                                    TRect{AInner.left, AInner.bottom, AInner.right, AOuter.bottom}};
  for (const TRect& strip : strips)
    cxEditFillRect(DC, strip, ABrush);
}

void cxEditFillPolyline(TcxCanvas* ACanvas, const TPoint* APoints, int AHigh, bool AUseFill, vcl::TColor AColor)
{
  if (AHigh < 0)
    return;
  if (!AUseFill) {
    ACanvas->GetPen()->SetColor(AColor);
    ACanvas->Polyline(std::span<const TPoint>(APoints, static_cast<std::size_t>(AHigh) + 1));
    ACanvas->SetPixel(APoints[AHigh].x, APoints[AHigh].y, AColor);
    return;
  }
  const HBRUSH brush = cxEditGetSolidBrush(AColor);
  const HDC DC = ACanvas->GetHandle();
  for (int i = 0; i < AHigh; ++i) {
    const TPoint& P1 = APoints[i];
    const TPoint& P2 = APoints[i + 1];
    if (P1.x == P2.x)
      cxEditFillRect(DC, TRect{P1.x, P1.y, P1.x + 1, P2.y}, brush);
    else
      cxEditFillRect(DC, TRect{P1.x, P1.y, P2.x, P1.y + 1}, brush);
  }
  const TPoint& last = APoints[AHigh];
  cxEditFillRect(DC, TRect{last.x, last.y, last.x + 1, last.y + 1}, brush);
}

void cxEditDrawBorderEdges(TcxCanvas* ACanvas, TRect& R, TcxBorders AEdges, vcl::TColor AColor)
{
  ACanvas->GetPen()->SetColor(AColor);
  // The corners in inclusive pixel coordinates, taken once.
  const TRect inner{R.left, R.top, R.right - 1, R.bottom - 1};
  auto edge = [&](TPoint P1, TPoint P2) {
    const TPoint points[2] = {P1, P2};
    cxEditFillPolyline(ACanvas, points, 1, true, AColor);
  };
  if (AEdges.Contains(TcxBorder::bLeft)) {
    edge({inner.left, inner.top}, {inner.left, inner.bottom});
    ++R.left;
  }
  if (AEdges.Contains(TcxBorder::bRight)) {
    edge({inner.right, inner.top}, {inner.right, inner.bottom});
    --R.right;
  }
  if (AEdges.Contains(TcxBorder::bTop)) {
    edge({inner.left, inner.top}, {inner.right, inner.top});
    ++R.top;
  }
  if (AEdges.Contains(TcxBorder::bBottom)) {
    edge({inner.left, inner.bottom}, {inner.right, inner.bottom});
    --R.bottom;
  }
}

int cxEditGetNativeButtonContentOffset(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButtonViewInfo)
{
  TRect content;
  if (!AButtonViewInfo->Data.NativeStyle ||
      !ThemeContentRect(NativeButtonTheme(AButtonViewInfo), ACanvas ? ACanvas->GetHandle() : nullptr, content))
    return 4;
  return 100 - cxRectGetWidth(content);
}

int cxEditCalculateButtonWidth(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButtonViewInfo)
{
  TcxEditButtonViewInfoData& data = AButtonViewInfo->Data;
  if (data.NativeStyle)
    data.NativeStyle = cxIsNativeThemeAvailable(true, data.ComboBoxStyle ? TdxThemedObjectType::totComboBox
                                                                         : TdxThemedObjectType::totButton);
  const int contentOffset = cxEditGetNativeButtonContentOffset(ACanvas, AButtonViewInfo);
  if (AButtonViewInfo->Width > 0)
    return std::max(contentOffset, AButtonViewInfo->Width);

  const TdxScaleFactor* scaleFactor = AButtonViewInfo->GetScaleFactor();
  int result;
  if (data.Kind == TcxEditButtonKind::bkGlyph &&
      cxIsImageAssigned(AButtonViewInfo->Glyph, AButtonViewInfo->Images, AButtonViewInfo->ImageIndex)) {
    result = contentOffset +
             cxGetImageSize(AButtonViewInfo->Glyph, AButtonViewInfo->Images, AButtonViewInfo->ImageIndex, scaleFactor).cx;
  } else {
    result = 0;
    if (data.Kind == TcxEditButtonKind::bkText)
      result = contentOffset + ACanvas->TextWidth(data.VisibleCaption) + scaleFactor->Apply(2) + 1;
    result = std::max(result, dxGetScaledSystemMetrics(SM_CYHSCROLL, scaleFactor));
  }
  cxEnsureTouchExtent(result, scaleFactor);
  return result;
}

int cxEditButtonsVerticalMargin(TcxCanvas* ACanvas, TcxEditButtonStyle AButtonsStyle, bool ANativeStyle)
{
  if (ANativeStyle) {
    TRect content;
    if (!ThemeContentRect(dxOpenTheme(TdxThemedObjectType::totButton), ACanvas ? ACanvas->GetHandle() : nullptr,
                          content))
      return 0;
    return content.top + (100 - content.bottom);
  }
  switch (AButtonsStyle) {
    case btsDefault:
      return 0;
    case bts3D:
      return 4;
    default:
      return 2;
  }
}

int cxEditInnerHeightCorrection(TcxCustomEditProperties* AProperties, bool AIsInplace)
{
  return AIsInplace && AProperties->GetButtons()->GetCount() > 0 ? 1 : 0;
}

vcl::TColor cxEditHotBorderColor(bool AIsOffice11Style)
{
  return cxGetBorderHighlightColor(true, AIsOffice11Style);
}

vcl::TColor cxEditButtonStyleColor(bool APressed, bool AIsOffice11Style)
{
  TcxCustomLookAndFeelPainter* painter = cxLookAndFeelPaintersManager()->GetPainter(
      AIsOffice11Style ? TcxLookAndFeelStyle::lfsOffice11 : TcxLookAndFeelStyle::lfsUltraFlat);
  if (!painter)
    return APressed ? vcl::clBtnShadow : vcl::clBtnFace;
  return painter->ButtonColor(APressed ? cxbsPressed : cxbsHot);
}

bool cxEditHasShadow(TcxCustomEditViewData* AViewData)
{
  TcxCustomEditStyle* style = AViewData->Style();
  return style->GetShadow() && !AViewData->IsNativeStyle(style->GetLookAndFeel());
}

bool cxEditCharIsDigit(wchar_t C)
{
  return C >= L'0' && C <= L'9';
}

void cxEditMapFlagBit(unsigned AInputFlags, unsigned& AOutputFlags, unsigned AInputFlag, unsigned AOutputFlag)
{
  if ((AInputFlags & AInputFlag) != 0)
    AOutputFlags |= AOutputFlag;
}

unsigned cxConvertTextOutFlags(unsigned AFlags)
{
  unsigned result = 0;
  cxEditMapFlagBit(AFlags, result, 0, 1);
  cxEditMapFlagBit(AFlags, result, 1, 4);
  cxEditMapFlagBit(AFlags, result, 2, 2);
  cxEditMapFlagBit(AFlags, result, 0, 8);
  cxEditMapFlagBit(AFlags, result, 16, 32);
  cxEditMapFlagBit(AFlags, result, 32, 16);
  cxEditMapFlagBit(AFlags, result, 512, 64);
  cxEditMapFlagBit(AFlags, result, 256, 1024);
  return result;
}

unsigned cxConvertDrawTextFlags(unsigned AFlags)
{
  unsigned result = 0;
  cxEditMapFlagBit(AFlags, result, 1, 0);
  cxEditMapFlagBit(AFlags, result, 4, 1);
  cxEditMapFlagBit(AFlags, result, 2, 2);
  cxEditMapFlagBit(AFlags, result, 8, 0);
  cxEditMapFlagBit(AFlags, result, 32, 16);
  cxEditMapFlagBit(AFlags, result, 16, 32);
  cxEditMapFlagBit(AFlags, result, 64, 512);
  cxEditMapFlagBit(AFlags, result, 1024, 256);
  return result;
}

void cxEditDrawBackground(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, bool AFillBackground)
{
  ACanvas->SaveDC();
  rtl::Finally restore([&] { ACanvas->RestoreDC(); });
  const std::vector<TcxEditButtonViewInfo*>& buttons = AViewInfo->ButtonsInfo;
  const bool buttonsPartiallyTransparent = !buttons.empty() && buttons[0]->Data.BackgroundPartiallyTransparent;
  if (!buttonsPartiallyTransparent)
    for (TcxEditButtonViewInfo* button : buttons)
      ACanvas->ExcludeClipRect(button->VisibleBounds);

  const HBRUSH brush = cxEditGetSolidBrush(AViewInfo->GetBackgroundColor());
  if (AViewInfo->DrawBackground(ACanvas))
    return;
  if (AViewInfo->NativeStyle) {
    AViewInfo->DrawNativeStyleEditBackground(ACanvas, AFillBackground, brush);
    return;
  }

  const TcxContainerBorderStyle borderStyle = AViewInfo->GetContainerBorderStyle();
  const int W = AViewInfo->Painter->GetContainerBorderWidth(borderStyle);
  const TcxBorders edges = AViewInfo->Edges;
  TRect R = AViewInfo->BorderRect;
  R.left -= W;
  R.top -= W;
  if (edges.Contains(TcxBorder::bRight))
    R.right += W;
  if (edges.Contains(TcxBorder::bBottom))
    R.bottom += W;
  if (AViewInfo->Shadow)
    cxDrawContainerShadow(ACanvas, R);
  if (!edges.Contains(TcxBorder::bRight))
    R.right += W;
  if (!edges.Contains(TcxBorder::bBottom))
    R.bottom += W;
  if (borderStyle != TcxContainerBorderStyle::cbsNone)
    AViewInfo->Painter->DrawContainerBorder(ACanvas, R, borderStyle, W, AViewInfo->BorderColor, edges);

  if (AViewInfo->IsInplace) {
    if (AViewInfo->Transparent)
      return;
    if (AFillBackground) {
      cxEditFillRect(ACanvas->GetHandle(), AViewInfo->Bounds, brush);
    } else if (AViewInfo->HasContentOffsets) {
      ACanvas->SaveClipRegion();
      ACanvas->ExcludeClipRect(AViewInfo->BorderRect);
      cxEditFillRect(ACanvas->GetHandle(), AViewInfo->Bounds, brush);
      ACanvas->RestoreClipRegion();
    }
    if (AFillBackground)
      return;
  } else if (AFillBackground) {
    if (!AViewInfo->Transparent)
      cxEditFillRect(ACanvas->GetHandle(), AViewInfo->BorderRect, brush);
    return;
  }
  if (!AViewInfo->Transparent && buttonsPartiallyTransparent)
    for (TcxEditButtonViewInfo* button : buttons)
      cxEditFillRect(ACanvas->GetHandle(), button->Bounds, brush);
}
