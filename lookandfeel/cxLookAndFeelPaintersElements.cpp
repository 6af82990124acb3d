// The base painter's gauge, map control, Office navigation bar, track bars
// and range controls, PDF viewer, spreadsheet, layout control, scroll box,
// print preview, calculator, customization form, galleries, rating control,
// fixed-group indicator, wheel picker and rich edit. The twins without a
// scale factor forward to the scaled operations with the system factor
// unless they say otherwise.
#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphicsColors.h"
#include "graphics/dxGDIPlusClasses.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "lookandfeel/cxLookAndFeelPainters.h"

using enum TcxBorder;
using enum TcxButtonState;
using enum TcxCalcButtonKind;
using enum TcxCalendarElementState;
using enum TcxTrackBarTicksAlign;

using namespace vcl;

namespace {

using TPts = std::vector<TPoint>;

// The marker of "no colour given" of the operations that take alpha
// colours.
constexpr TdxAlphaColor kDefaultAlphaColor = 0x00010203;

// The shared 2-D graphics canvas painting on the canvas's DC over R for a
// scope; the paint ends also when drawing raises.
class TGpPaint {
 public:
  TGpPaint(TcxCanvas* ACanvas, const TRect& R) : FCanvas(dxGpPaintCanvas()) { FCanvas->BeginPaint(ACanvas->GetHandle(), R); }
  TGpPaint(const TGpPaint&) = delete;
  TGpPaint& operator=(const TGpPaint&) = delete;
  ~TGpPaint() { FCanvas->EndPaint(); }
  TdxGPPaintCanvas* operator->() const { return FCanvas; }

 private:
  TdxGPPaintCanvas* FCanvas;
};

// A framed rectangle with three vertical grip lines in its middle.
void DrawRangeControlThumb(TcxCanvas* ACanvas, const TRect& ARect, TColor AColor, TdxAlphaColor ABorderColor,
                           const TdxScaleFactor* AScaleFactor)
{
  const TdxAlphaColor fill = dxColorToAlphaColor(AColor == clDefault ? clWhite : AColor);
  const int step = AScaleFactor->Apply(2);
  const TRect grip = cxRectCenterBox(ARect, 2 * step + 1, cxRectGetHeight(ARect) - AScaleFactor->Apply(8));
  const float penWidth = static_cast<float>(AScaleFactor->ApplyF(1));
  TGpPaint paint(ACanvas, ARect);
  paint->Rectangle(ARect, ABorderColor, fill);
  for (const int x : {grip.left, grip.left + step, grip.left + 2 * step})
    paint->Line(static_cast<float>(x), static_cast<float>(grip.top), static_cast<float>(x),
                static_cast<float>(grip.bottom - 1), ABorderColor, penWidth);
}

}  // namespace

TcxThumbShape cxTrackBarThumbShape(const TRect& R, bool AHorizontal, TcxTrackBarTicksAlign ATicks)
{
  const int L = R.left;
  const int T = R.top;
  const int Rt = R.right;
  const int B = R.bottom;
  const int w = Rt - L;
  const int h = B - T;
  switch (ATicks) {
    case tbtaDown:
      if (AHorizontal) {
        const int a = w / 2;
        const int yb = B - a;
        const int m = L + a;
        return {TPts{{Rt - 1, T + 1}, {L + 1, T + 1}, {L + 1, yb}, {m, B - 1}, {Rt - 1, yb}},
                TPts{{Rt, T}, {L, T}, {L, yb}, {m, B}}, TPts{{m, B - 1}, {Rt - 1, yb}, {Rt - 1, T}},
                TPts{{m, B}, {Rt, yb}, {Rt, T}}};
      } else {
        const int a = h / 2;
        const int xr = Rt - a;
        const int m = T + a;
        return {TPts{{L + 1, B - 1}, {L + 1, T + 1}, {xr, T + 1}, {Rt - 1, m}, {xr, B - 1}},
                TPts{{L, B}, {L, T}, {xr, T}, {Rt, m}}, TPts{{Rt - 1, m}, {xr, B - 1}, {L, B - 1}},
                TPts{{Rt, m}, {xr, B}, {L, B}}};
      }
    case tbtaUp:
      if (AHorizontal) {
        const int c = L + w / 2;
        const int b = T + w / 2 - 1;
        return {TPts{{Rt - 1, B - 2}, {L + 1, B - 2}, {L + 1, b}, {c, T}, {Rt - 1, b}},
                TPts{{L, B - 1}, {L, b}, {c, T - 1}}, TPts{{c, T}, {Rt - 1, b}, {Rt - 1, B - 2}, {L, B - 2}},
                TPts{{c, T - 1}, {Rt, b}, {Rt, B - 1}, {L, B - 1}}};
      } else {
        const int a = L + h / 2 - 1;
        const int b = T + h / 2;
        return {TPts{{Rt - 2, B - 1}, {Rt - 2, T + 1}, {a, T + 1}, {L, b}, {a, B - 1}},
                TPts{{Rt - 1, T}, {a, T}, {L - 1, b}}, TPts{{L, b}, {a, B - 1}, {Rt - 2, B - 1}, {Rt - 2, T}},
                TPts{{L - 1, b}, {a, B}, {Rt - 1, B}, {Rt - 1, T}}};
      }
    case tbtaBoth:
      break;
  }
  return {};
}

TcxThumbShape cxRangeTrackBarThumbShape(const TRect& R, bool AHorizontal, TcxTrackBarTicksAlign ATicks,
                                        bool ALeftThumb)
{
  const int L = R.left;
  const int T = R.top;
  const int Rt = R.right;
  const int B = R.bottom;
  const int w = Rt - L;
  const int h = B - T;
  if (ATicks == tbtaBoth)
    return {};
  const bool down = ATicks == tbtaDown;
  if (ALeftThumb) {
    if (down && AHorizontal)
      return {TPts{{Rt - 1, T + 1}, {L + 1, T + 1}, {L + 1, B - w}, {Rt - 1, B - 1}},
              TPts{{Rt, T}, {L, T}, {L, B - w}, {Rt, B}}, TPts{{Rt - 1, B - 1}, {Rt - 1, B - w}, {Rt - 1, T}},
              TPts{{Rt, B}, {Rt, T}}};
    if (down)
      return {TPts{{L + 1, B - 1}, {L + 1, T + 1}, {Rt - h, T + 1}, {Rt - 1, B - 1}},
              TPts{{L, B}, {L, T}, {Rt - h, T}, {Rt, B}}, TPts{{Rt - 1, B - 1}, {L, B - 1}}, TPts{{Rt, B}, {L, B}}};
    if (AHorizontal)
      return {TPts{{Rt - 1, B - 2}, {L + 1, B - 2}, {L + 1, T + w - 1}, {Rt - 1, T}},
              TPts{{L, B - 1}, {L, T + w - 1}, {Rt, T - 1}}, TPts{{Rt - 1, T}, {Rt - 1, B - 2}, {L, B - 2}},
              TPts{{Rt, T - 1}, {Rt, B - 1}, {L, B - 1}}};
    return {TPts{{Rt - 2, B - 1}, {Rt - 2, T + 1}, {L + h - 1, T + 1}, {L, B - 1}},
            TPts{{Rt - 1, T}, {L + h - 1, T}, {L - 1, B}}, TPts{{L, B - 1}, {Rt - 2, B - 1}, {Rt - 2, T}},
            TPts{{L - 1, B}, {Rt - 1, B}, {Rt - 1, T}}};
  }
  if (down && AHorizontal)
    return {TPts{{Rt - 1, T + 1}, {L + 1, T + 1}, {L + 1, B - 1}, {Rt - 1, B - w}}, TPts{{Rt, T}, {L, T}, {L, B}},
            TPts{{L, B - 1}, {Rt - 1, B - w}, {Rt - 1, T}}, TPts{{L, B}, {Rt, B - w}, {Rt, T}}};
  if (down)
    return {TPts{{L + 1, B - 1}, {L + 1, T + 1}, {Rt - 1, T + 1}, {Rt - h, B - 1}}, TPts{{L, B}, {L, T}, {Rt, T}},
            TPts{{Rt - 1, T}, {Rt - h, B - 1}, {L, B - 1}}, TPts{{Rt, T}, {Rt - h, B}, {L, B}}};
  if (AHorizontal)
    return {TPts{{Rt - 1, B - 2}, {L + 1, B - 2}, {L + 1, T}, {Rt - 1, T + w - 1}}, TPts{{L, B - 1}, {L, T - 1}},
            TPts{{L, T}, {Rt - 1, T + w - 1}, {Rt - 1, B - 2}, {L, B - 2}},
            TPts{{L, T - 1}, {Rt, T + w - 1}, {Rt, B - 1}, {L, B - 1}}};
  return {TPts{{Rt - 2, B - 1}, {Rt - 2, T + 1}, {L, T + 1}, {L + h - 1, B - 1}}, TPts{{Rt - 1, T}, {L - 1, T}},
          TPts{{L, T}, {L + h - 1, B - 1}, {Rt - 2, B - 1}, {Rt - 2, T}},
          TPts{{L - 1, T}, {L + h - 1, B}, {Rt - 1, B}, {Rt - 1, T}}};
}

void TcxCustomLookAndFeelPainter::DrawRangeTrackBarThumb(TcxCanvas* ACanvas, const TRect& ARect, bool AHorizontal,
                                                         TcxTrackBarTicksAlign ATicks, TColor AThumbColor,
                                                         bool ALeftThumb)
{
  ACanvas->GetPen()->SetColor(AThumbColor);
  ACanvas->GetBrush()->SetColor(AThumbColor);
  if (ATicks == tbtaBoth) {
    ACanvas->FillRect(ARect, AThumbColor);
    DrawTrackBarThumbBorderBoth(ACanvas, ARect);
    return;
  }
  // The two half thumbs meet: each gives up its last column or row.
  TRect r = ARect;
  if (AHorizontal)
    --r.right;
  else
    --r.bottom;
  const TcxThumbShape shape = cxRangeTrackBarThumbShape(r, AHorizontal, ATicks, ALeftThumb);
  ACanvas->Polygon(shape.Polygon);
  DrawTrackBarThumbBorderUpDown(ACanvas, shape.Light, shape.Shadow, shape.Dark);
}

TRect TcxCustomLookAndFeelPainter::PDFViewerNavigationPaneButtonRect(const TRect& ARect, TcxButtonState AState,
                                                                      bool ASelected,
                                                                      const TdxScaleFactor* AScaleFactor)
{
  if (!ASelected && AState != cxbsPressed)
    return ARect;
  const TPoint overlay = PDFViewerNavigationPaneButtonOverlay(AScaleFactor);
  return cxRectInflateXY(ARect, overlay.x, overlay.y);
}

void TcxCustomLookAndFeelPainter::DrawGaugeControlBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                             bool ATransparent, vcl::TColor ABackgroundColor)
{
  FillBackground(ACanvas, ARect, nullptr, ABackgroundColor, ATransparent);
}

void TcxCustomLookAndFeelPainter::DrawMapCustomElementBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                                 TdxMapControlElementState AState)
{
  TdxAlphaColor fill = 0;
  TdxAlphaColor pen = 0;
  switch (AState) {
    case TdxMapControlElementState::mcesHot:
    case TdxMapControlElementState::mcesPressed:
      fill = 0x5AFFFFFF;
      pen = 0x5A000000;
      break;
    case TdxMapControlElementState::mcesSelected:
      fill = 0x80FFFFFF;
      pen = 0x80000000;
      break;
    default:
      break;
  }
  TGpPaint paint(ACanvas, ARect);
  paint->SetSmoothingMode(smAntiAlias);
  paint->RoundRect(cxRectInflateAll(ARect, -1), pen, fill, 4, 4);
}

void TcxCustomLookAndFeelPainter::DrawMapPushpin(TcxCanvas* ACanvas, const TRect& ARect, TdxMapControlElementState,
                                                 const TdxScaleFactor*)
{
  MapPushpinGlyph()->StretchDraw(ACanvas->GetHandle(), ARect);
}

void TcxCustomLookAndFeelPainter::OfficeNavigationBarDrawBackground(TcxCanvas* ACanvas, const TRect& ARect)
{
  ACanvas->FillRect(ARect, static_cast<TColor>(0xE4E4E4));
}

void TcxCustomLookAndFeelPainter::OfficeNavigationBarDrawScaledButtonItemBackground(TcxCanvas* ACanvas,
                                                                                    const TRect& ARect,
                                                                                    TcxCalendarElementState AState,
                                                                                    const TdxScaleFactor* AScaleFactor)
{
  DrawScaledButton(ACanvas, ARect, rtl::String(), AState == cesHot ? cxbsHot : cxbsNormal, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::OfficeNavigationBarDrawScaledCustomizationButton(TcxCanvas* ACanvas,
                                                                                   const TRect& ARect,
                                                                                   TcxCalendarElementState,
                                                                                   const TdxScaleFactor*,
                                                                                   TdxAlphaColor AColor)
{
  TdxSmartImage* image = NavigationBarCustomizationButtonGlyph();
  if (AColor == kDefaultAlphaColor) {
    image->StretchDraw(ACanvas->GetHandle(), ARect);
    return;
  }
  // A recoloured copy: the cached image keeps its own colours.
  const rtl::TOwnedPtr<TdxCustomSmartImage> copy(image->Clone());
  copy->ChangeColor(dxAlphaColorToColor(AColor));
  copy->StretchDraw(ACanvas->GetHandle(), ARect, dxGetAlpha(AColor));
}

void TcxCustomLookAndFeelPainter::OfficeNavigationBarDrawScaledItemBackground(TcxCanvas*, const TRect&,
                                                                              TcxCalendarElementState,
                                                                              const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::OfficeNavigationBarDrawScaledImageSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                                              TcxCalendarElementState AState,
                                                                              const TdxScaleFactor*)
{
  if (AState == cesHot || AState == cesSelected)
    ACanvas->FillRect(ARect, static_cast<TColor>(0xF7E6CD));
  else if (AState == cesPressed)
    ACanvas->FillRect(ARect, static_cast<TColor>(0xE0C092));
}

void TcxCustomLookAndFeelPainter::OfficeNavigationBarDrawCustomizationButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                                             TcxCalendarElementState AState,
                                                                             TdxAlphaColor AColor)
{
  OfficeNavigationBarDrawScaledCustomizationButton(ACanvas, ARect, AState, dxGetSystemScaleFactor(), AColor);
}

void TcxCustomLookAndFeelPainter::OfficeNavigationBarDrawImageSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                                        TcxCalendarElementState AState)
{
  OfficeNavigationBarDrawScaledImageSelection(ACanvas, ARect, AState, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::OfficeNavigationBarDrawButtonItemBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                                              TcxCalendarElementState AState)
{
  OfficeNavigationBarDrawScaledButtonItemBackground(ACanvas, ARect, AState, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::OfficeNavigationBarDrawItemBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                                        TcxCalendarElementState AState)
{
  OfficeNavigationBarDrawScaledItemBackground(ACanvas, ARect, AState, dxGetSystemScaleFactor());
}

TRect TcxCustomLookAndFeelPainter::OfficeNavigationBarContentOffsets()
{
  return OfficeNavigationBarScaledContentOffsets(dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::OfficeNavigationBarCustomizationButtonSize()
{
  return OfficeNavigationBarScaledCustomizationButtonSize(dxGetSystemScaleFactor());
}

TRect TcxCustomLookAndFeelPainter::OfficeNavigationBarButtonItemContentOffsets()
{
  return OfficeNavigationBarScaledButtonItemContentOffsets(dxGetSystemScaleFactor());
}

int TcxCustomLookAndFeelPainter::OfficeNavigationBarButtonItemFontSize()
{
  return OfficeNavigationBarScaledButtonItemFontSize(dxGetSystemScaleFactor());
}

TRect TcxCustomLookAndFeelPainter::OfficeNavigationBarItemContentOffsets()
{
  return OfficeNavigationBarScaledItemContentOffsets(dxGetSystemScaleFactor());
}

int TcxCustomLookAndFeelPainter::OfficeNavigationBarItemFontSize()
{
  return OfficeNavigationBarScaledItemFontSize(dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::CorrectThumbRect(TcxCanvas*, TRect& ARect, bool, TcxTrackBarTicksAlign)
{
  ++ARect.right;
  ++ARect.bottom;
}

void TcxCustomLookAndFeelPainter::DrawTrackBarScaledTrack(TcxCanvas* ACanvas, const TRect& ARect, const TRect&, bool,
                                                          bool, bool, TColor ATrackColor, const TdxScaleFactor*)
{
  ACanvas->FillRect(ARect, ATrackColor);
  DrawTrackBarTrackBounds(ACanvas, ARect);
}

void TcxCustomLookAndFeelPainter::DrawTrackBarTrackBounds(TcxCanvas*, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::DrawTrackBarScaledThumb(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState,
                                                          bool AHorizontal, TcxTrackBarTicksAlign ATicks,
                                                          TColor AThumbColor, const TdxScaleFactor*)
{
  ACanvas->GetPen()->SetColor(AThumbColor);
  ACanvas->GetBrush()->SetColor(AThumbColor);
  if (ATicks == tbtaBoth) {
    ACanvas->FillRect(ARect, AThumbColor);
    DrawTrackBarThumbBorderBoth(ACanvas, ARect);
    return;
  }
  const TcxThumbShape shape = cxTrackBarThumbShape(ARect, AHorizontal, ATicks);
  ACanvas->Polygon(shape.Polygon);
  DrawTrackBarThumbBorderUpDown(ACanvas, shape.Light, shape.Shadow, shape.Dark);
}

void TcxCustomLookAndFeelPainter::DrawTrackBarThumbBorderUpDown(TcxCanvas*, const std::vector<TPoint>&,
                                                                const std::vector<TPoint>&, const std::vector<TPoint>&)
{
}

void TcxCustomLookAndFeelPainter::DrawTrackBarThumbBorderBoth(TcxCanvas*, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::DrawTrackBarTrack(TcxCanvas* ACanvas, const TRect& ARect, const TRect& ASelection,
                                                    bool AShowSelection, bool AEnabled, bool AHorizontal,
                                                    vcl::TColor ATrackColor)
{
  DrawTrackBarScaledTrack(ACanvas, ARect, ASelection, AShowSelection, AEnabled, AHorizontal, ATrackColor,
                          dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawTrackBarThumb(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState,
                                                    bool AHorizontal, TcxTrackBarTicksAlign ATicks,
                                                    vcl::TColor AThumbColor)
{
  DrawTrackBarScaledThumb(ACanvas, ARect, AState, AHorizontal, ATicks, AThumbColor, dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::TrackBarThumbSize(bool AHorizontal)
{
  return TrackBarScaledThumbSize(AHorizontal, dxGetSystemScaleFactor());
}

int TcxCustomLookAndFeelPainter::TrackBarTrackSize()
{
  return TrackBarScaledTrackSize(dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawRangeControlScaledLeftThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                                  TColor AColor, TdxAlphaColor ABorderColor,
                                                                  const TdxScaleFactor* AScaleFactor)
{
  DrawRangeControlThumb(ACanvas, ARect, AColor, ABorderColor, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawRangeControlScaledRightThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                                   TColor AColor, TdxAlphaColor ABorderColor,
                                                                   const TdxScaleFactor* AScaleFactor)
{
  DrawRangeControlThumb(ACanvas, ARect, AColor, ABorderColor, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawRangeControlScaledRulerHeader(TcxCanvas* ACanvas, const TRect& ARect,
                                                                    bool AIsHot, TdxAlphaColor AColor,
                                                                    TdxAlphaColor ABorderColor,
                                                                    const TdxScaleFactor*)
{
  TdxAlphaColor color = AColor;
  if (color == kDefaultAlphaColor)
    color = AIsHot ? 0xFFE2EAFDu : 0xFFFFFFFFu;
  TGpPaint paint(ACanvas, ARect);
  paint->FillRectangle(ARect, color);
  const int left = ARect.left;
  const int bottom = ARect.bottom - 1;
  paint->Line(left, static_cast<int>(ARect.top), left, bottom, ABorderColor);
  paint->Line(left, bottom, static_cast<int>(ARect.right - 1), bottom, ABorderColor);
}

void TcxCustomLookAndFeelPainter::DrawRangeControlScaledSizingGlyph(TcxCanvas* ACanvas, const TRect& ARect,
                                                                    TdxAlphaColor ABorderColor,
                                                                    const TdxScaleFactor* AScaleFactor)
{
  const TRect box =
      cxRectCenterBox(ARect, AScaleFactor->Apply(1), cxRectGetHeight(ARect) - AScaleFactor->Apply(4));
  TGpPaint paint(ACanvas, ARect);
  paint->Line(static_cast<float>(box.left), static_cast<float>(box.top), static_cast<float>(box.left),
              static_cast<float>(box.bottom - 1), ABorderColor, static_cast<float>(AScaleFactor->ApplyF(1)));
}

void TcxCustomLookAndFeelPainter::DrawRangeControlLeftThumb(TcxCanvas* ACanvas, const TRect& ARect, vcl::TColor AColor,
                                                            TdxAlphaColor ABorderColor)
{
  DrawRangeControlScaledLeftThumb(ACanvas, ARect, AColor, ABorderColor, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawRangeControlRightThumb(TcxCanvas* ACanvas, const TRect& ARect, vcl::TColor AColor,
                                                             TdxAlphaColor ABorderColor)
{
  DrawRangeControlScaledRightThumb(ACanvas, ARect, AColor, ABorderColor, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawRangeControlRulerHeader(TcxCanvas* ACanvas, const TRect& ARect, bool AIsHot,
                                                              TdxAlphaColor AColor, TdxAlphaColor ABorderColor)
{
  DrawRangeControlScaledRulerHeader(ACanvas, ARect, AIsHot, AColor, ABorderColor, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawRangeControlSizingGlyph(TcxCanvas* ACanvas, const TRect& ARect,
                                                              TdxAlphaColor ABorderColor)
{
  DrawRangeControlScaledSizingGlyph(ACanvas, ARect, ABorderColor, dxGetSystemScaleFactor());
}

int TcxCustomLookAndFeelPainter::GetRangeControlScrollAreaHeight()
{
  return GetRangeControlScaledScrollAreaHeight(dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::GetRangeControlSizingGlyphSize()
{
  return GetRangeControlScaledSizingGlyphSize(dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::GetRangeControlThumbSize()
{
  return GetRangeControlScaledThumbSize(dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawRangeTrackBarScaledLeftThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                                   TcxButtonState, bool AHorizontal,
                                                                   TcxTrackBarTicksAlign ATicks, TColor AThumbColor,
                                                                   const TdxScaleFactor*)
{
  DrawRangeTrackBarThumb(ACanvas, ARect, AHorizontal, ATicks, AThumbColor, true);
}

void TcxCustomLookAndFeelPainter::DrawRangeTrackBarScaledRightThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                                    TcxButtonState, bool AHorizontal,
                                                                    TcxTrackBarTicksAlign ATicks, TColor AThumbColor,
                                                                    const TdxScaleFactor*)
{
  DrawRangeTrackBarThumb(ACanvas, ARect, AHorizontal, ATicks, AThumbColor, false);
}

TSize TcxCustomLookAndFeelPainter::RangeTrackBarLeftThumbSize(bool AHorizontal, TcxTrackBarTicksAlign ATicks)
{
  return RangeTrackBarScaledLeftThumbSize(AHorizontal, ATicks, dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::RangeTrackBarRightThumbSize(bool AHorizontal, TcxTrackBarTicksAlign ATicks)
{
  return RangeTrackBarScaledRightThumbSize(AHorizontal, ATicks, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawRangeTrackBarLeftThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                             TcxButtonState AState, bool AHorizontal,
                                                             TcxTrackBarTicksAlign ATicks, vcl::TColor AThumbColor)
{
  DrawRangeTrackBarScaledLeftThumb(ACanvas, ARect, AState, AHorizontal, ATicks, AThumbColor, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawRangeTrackBarRightThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                              TcxButtonState AState, bool AHorizontal,
                                                              TcxTrackBarTicksAlign ATicks, vcl::TColor AThumbColor)
{
  DrawRangeTrackBarScaledRightThumb(ACanvas, ARect, AState, AHorizontal, ATicks, AThumbColor, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::PDFViewerDrawNavigationPaneBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                                        const TdxScaleFactor*)
{
  PDFViewerDrawFindPanelBackground(ACanvas, ARect, {bRight});
}

void TcxCustomLookAndFeelPainter::PDFViewerDrawNavigationPaneButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                                    TcxButtonState AState,
                                                                    const TdxScaleFactor* AScaleFactor,
                                                                    bool AMinimized, bool ASelected, bool)
{
  // Always the grown rectangle, so that the selected button overlaps the
  // pane's border.
  const TRect button = PDFViewerNavigationPaneButtonRect(ARect, cxbsPressed, ASelected, AScaleFactor);
  if (AMinimized || !ASelected) {
    PDFViewerDrawFindPanelBackground(ACanvas, button, {bRight});
    ACanvas->FillRect(cxRectInflateAll(button, -ButtonBorderSize(cxbsNormal)), ButtonColor(AState));
  } else {
    DrawBorder(ACanvas, button);
    ACanvas->FillRect(cxRectInflateSides(button, 0, -BorderSize(), 0, -BorderSize()), DefaultControlColor());
  }
}

void TcxCustomLookAndFeelPainter::PDFViewerDrawNavigationPanePageBackground(TcxCanvas* ACanvas, const TRect& ARect)
{
  PDFViewerDrawFindPanelBackground(ACanvas, ARect, {bRight});
}

void TcxCustomLookAndFeelPainter::PDFViewerDrawNavigationPanePageButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                                        TcxButtonState AState, const TdxScaleFactor*)
{
  if (AState == cxbsHot || AState == cxbsPressed)
    ACanvas->FillRect(ARect, clBtnShadow);
}

void TcxCustomLookAndFeelPainter::PDFViewerDrawNavigationPanePageCaptionBackground(TcxCanvas* ACanvas,
                                                                                   const TRect& ARect)
{
  PDFViewerDrawFindPanelBackground(ACanvas, ARect, {bRight});
}

void TcxCustomLookAndFeelPainter::PDFViewerDrawNavigationPanePageToolbarBackground(TcxCanvas* ACanvas,
                                                                                   const TRect& ARect)
{
  PDFViewerDrawFindPanelBackground(ACanvas, ARect, {});
}

void TcxCustomLookAndFeelPainter::PDFViewerDrawFindPanelBackground(TcxCanvas* ACanvas, const TRect& R,
                                                                   TcxBorders ABorders)
{
  DrawBorder(ACanvas, R);
  const int border = BorderSize();
  ACanvas->FillRect(cxRectInflateSides(R, ABorders.Contains(bLeft) ? -border : 0, ABorders.Contains(bTop) ? -border : 0,
                                       ABorders.Contains(bRight) ? -border : 0,
                                       ABorders.Contains(bBottom) ? -border : 0),
                    DefaultControlColor());
}

void TcxCustomLookAndFeelPainter::PDFViewerDrawPageThumbnailPreviewBackground(TcxCanvas* ACanvas, const TRect& ARect)
{
  DrawPrintPreviewBackground(ACanvas, ARect);
}

void TcxCustomLookAndFeelPainter::DrawSpreadSheetScaledHeader(
    TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, TcxNeighbors ANeighbors,
    TcxBorders ABorders, TcxButtonState AState, rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
    bool AMultiLine, bool AShowEndEllipsis, const rtl::String& AText, vcl::TFont* AFont, vcl::TColor ATextColor,
    vcl::TColor ABkColor, const TdxScaleFactor* AScaleFactor, TcxDrawBackgroundEvent AOnDrawBackground, bool AIsLast,
    bool AIsGroup)
{
  const TColor background = AState == cxbsHot ? cxBlendColors(ABkColor, clHighlight, 70) : ABkColor;
  DrawScaledHeader(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders, AState, AAlignmentHorz, AAlignmentVert,
                   AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, background, AScaleFactor, AOnDrawBackground,
                   AIsLast, AIsGroup);
}

void TcxCustomLookAndFeelPainter::DrawSpreadSheetScaledGroupExpandButton(TcxCanvas* ACanvas, const TRect& R,
                                                                         TcxButtonState AState,
                                                                         const TdxScaleFactor* AScaleFactor)
{
  DrawScaledButton(ACanvas, R, rtl::String(), AState, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawSpreadSheetScaledGroupExpandButtonGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                                              TcxButtonState, bool AExpanded,
                                                                              const TdxScaleFactor* AScaleFactor,
                                                                              vcl::TCustomImageList* ADefaultGlyphs)
{
  DrawNavigatorScaledButtonGlyph(ACanvas, ADefaultGlyphs, AExpanded ? 8 : 6,
                                 cxRectCenterBoxOfSize(R, NavigatorScaledButtonGlyphSize(AScaleFactor)), true, false,
                                 AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawSpreadSheetFormulaBarScaledExpandButton(TcxCanvas* ACanvas, const TRect& R,
                                                                              TcxButtonState AState, bool AExpanded,
                                                                              const TdxScaleFactor* AScaleFactor)
{
  DrawScaledScrollBarPart(ACanvas, false, R, AExpanded ? TcxScrollBarPart::sbpLineUp : TcxScrollBarPart::sbpLineDown,
                          AState, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawSpreadSheetFormulaBarScaledSeparator(TcxCanvas* ACanvas, const TRect& R,
                                                                           const TdxScaleFactor* AScaleFactor)
{
  DrawScaledSplitter(ACanvas, R, false, false, false, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawSpreadSheetHeader(TcxCanvas* ACanvas, const TRect& ABounds,
                                                        const TRect& ATextAreaBounds, TcxNeighbors ANeighbors,
                                                        TcxBorders ABorders, TcxButtonState AState,
                                                        rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                                        bool AMultiLine, bool AShowEndEllipsis,
                                                        const rtl::String& AText, vcl::TFont* AFont,
                                                        vcl::TColor ATextColor, vcl::TColor ABkColor,
                                                        TcxDrawBackgroundEvent AOnDrawBackground, bool AIsLast,
                                                        bool AIsGroup)
{
  DrawSpreadSheetScaledHeader(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders, AState, AAlignmentHorz,
                              AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor,
                              dxGetSystemScaleFactor(), AOnDrawBackground, AIsLast, AIsGroup);
}

void TcxCustomLookAndFeelPainter::DrawSpreadSheetGroupExpandButton(TcxCanvas* ACanvas, const TRect& R,
                                                                   TcxButtonState AState)
{
  DrawSpreadSheetScaledGroupExpandButton(ACanvas, R, AState, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawSpreadSheetGroupExpandButtonGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                                        TcxButtonState AState, bool AExpanded,
                                                                        vcl::TCustomImageList* ADefaultGlyphs)
{
  DrawSpreadSheetScaledGroupExpandButtonGlyph(ACanvas, R, AState, AExpanded, dxGetSystemScaleFactor(), ADefaultGlyphs);
}

TRect TcxCustomLookAndFeelPainter::SpreadSheetGroupExpandButtonContentOffsets()
{
  return SpreadSheetScaledGroupExpandButtonContentOffsets(dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::SpreadSheetGroupExpandButtonGlyphSize()
{
  return SpreadSheetScaledGroupExpandButtonGlyphSize(dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::SpreadSheetGroupLevelMarkSize()
{
  return SpreadSheetScaledGroupLevelMarkSize(dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawLayoutControlBackground(TcxCanvas* ACanvas, const TRect& R)
{
  ACanvas->FillRect(R, LayoutControlEmptyAreaColor());
}

void TcxCustomLookAndFeelPainter::DrawScrollBoxBackground(TcxCanvas* ACanvas, const TRect& R, vcl::TColor AColor)
{
  ACanvas->FillRect(R, AColor);
}

void TcxCustomLookAndFeelPainter::DrawPrintPreviewScaledBackground(TcxCanvas* ACanvas, const TRect& R,
                                                                   const TdxScaleFactor*)
{
  ACanvas->FillRect(R, clBtnShadow);
}

void TcxCustomLookAndFeelPainter::DrawPrintPreviewPageScaledBackground(TcxCanvas* ACanvas, const TRect& ABorderRect,
                                                                       const TRect& AContentRect, bool ASelected,
                                                                       bool ADrawContent, const TdxScaleFactor*)
{
  ACanvas->SaveClipRegion();
  // The shadow takes two pixels at the right and at the bottom.
  TRect page = cxRectInflateSides(ABorderRect, 0, 0, -2, -2);
  if (ADrawContent)
    ACanvas->FillRect(AContentRect, clWindow);
  if (!ASelected)
    page = cxRectInflateAll(page, -1);
  ACanvas->ExcludeClipRect(AContentRect);
  ACanvas->FillRect(page, ASelected ? clHighlight : clWindowText);
  ACanvas->ExcludeClipRect(page);
  ACanvas->FillRect(cxRectOffsetBy(page, 2, 2), clWindowText);
  ACanvas->RestoreClipRegion();
}

TRect TcxCustomLookAndFeelPainter::PrintPreviewPageBordersWidth()
{
  return PrintPreviewPageBordersScaledWidth(dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawPrintPreviewBackground(TcxCanvas* ACanvas, const TRect& R)
{
  DrawPrintPreviewScaledBackground(ACanvas, R, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawPrintPreviewPageBackground(TcxCanvas* ACanvas, const TRect& ABorderRect,
                                                                 const TRect& AContentRect, bool ASelected,
                                                                 bool ADrawContent)
{
  DrawPrintPreviewPageScaledBackground(ACanvas, ABorderRect, AContentRect, ASelected, ADrawContent,
                                       dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawGalleryBackground(TcxCanvas* ACanvas, const TRect& ABounds)
{
  ACanvas->FillRect(ABounds, clWhite);
}

void TcxCustomLookAndFeelPainter::DrawGalleryGroupHeader(TcxCanvas* ACanvas, const TRect& ABounds)
{
  DrawScaledHeader(ACanvas, ABounds, TRect{}, {}, cxBordersAll, cxbsNormal, rtl::TAlignment::taLeftJustify,
                   TcxAlignmentVert::vaTop, false, false, rtl::String(), nullptr, clDefault, DefaultHeaderColor(),
                   dxGetDefaultScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawGalleryItemSelection(TcxCanvas* ACanvas, const TRect& R,
                                                           const TdxGalleryItemViewState& AViewState)
{
  std::uint8_t alpha = 0;
  if (AViewState.Checked)
    alpha = AViewState.Pressed ? 128 : AViewState.Hover ? 96 : 16;
  else
    alpha = AViewState.Pressed ? 64 : AViewState.Hover ? 32 : 0;
  if (alpha != 0) {
    TGpPaint paint(ACanvas, R);
    paint->FillRectangle(R, dxColorToAlphaColor(static_cast<TColor>(0x582801), alpha));
  }
  constexpr TColor kBase = static_cast<TColor>(0xCEA27D);
  TColor frame = clNone;
  if (AViewState.Focused)
    frame = kBase;
  else if (AViewState.Checked)
    frame = cxChangeColorBrightness(kBase, AViewState.Pressed ? -20 : AViewState.Hover ? 10 : 80);
  else if (AViewState.Pressed)
    frame = cxChangeColorBrightness(kBase, 20);
  else if (AViewState.Hover)
    frame = static_cast<TColor>(0xFBD6B8);
  if (frame != clNone)
    ACanvas->FrameRect(R, frame, 2);
}

void TcxCustomLookAndFeelPainter::DrawGalleryItemImageFrame(TcxCanvas* ACanvas, const TRect& R)
{
  ACanvas->FrameRect(R, GetGalleryItemImageFrameColor());
}

void TcxCustomLookAndFeelPainter::DrawColorGalleryItemSelection(TcxCanvas* ACanvas, const TRect& R,
                                                                const TdxGalleryItemViewState& AViewState)
{
  if (!(AViewState.Checked || AViewState.Hover || AViewState.Pressed || AViewState.Focused))
    return;
  TColor outer = static_cast<TColor>(0x3694F2);
  if (AViewState.Checked)
    outer = static_cast<TColor>(0x1048EF);
  else if (AViewState.Pressed)
    outer = static_cast<TColor>(0x0022EF);
  ACanvas->FrameRect(R, outer);
  ACanvas->FrameRect(cxRectInflateAll(R, -1), static_cast<TColor>(0x94E2FF));
}

TRect TcxCustomLookAndFeelPainter::GetGalleryGroupHeaderContentOffsets()
{
  return GetGalleryScaledGroupHeaderContentOffsets(dxGetDefaultScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawRatingControlScaledIndicator(TcxCanvas* ACanvas, const TRect& ABounds,
                                                                   TdxRatingControlIndicatorState AState,
                                                                   const TdxScaleFactor*)
{
  // Three frames stacked: unchecked, hover, checked.
  static constexpr int kFrameOfState[] = {0, 2, 1};
  TdxSmartImage* image = RatingControlIndicatorGlyph();
  const int frameHeight = image->GetHeight() / 3;
  image->StretchDraw(ACanvas->GetHandle(), ABounds,
                     cxRectBounds(0, frameHeight * kFrameOfState[static_cast<int>(AState)], image->GetWidth(),
                                  frameHeight));
}

void TcxCustomLookAndFeelPainter::DrawRatingControlIndicator(TcxCanvas* ACanvas, const TRect& ABounds,
                                                             TdxRatingControlIndicatorState AState)
{
  DrawRatingControlScaledIndicator(ACanvas, ABounds, AState, dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::GetRatingControlIndicatorSize()
{
  return GetRatingControlScaledIndicatorSize(dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawScaledFixedGroupIndicator(TcxCanvas* ACanvas, const TRect& ABounds,
                                                                const TdxScaleFactor*)
{
  FixedGroupIndicatorGlyph()->StretchDraw(ACanvas->GetHandle(), ABounds);
}

void TcxCustomLookAndFeelPainter::DrawFixedGroupIndicator(TcxCanvas* ACanvas, const TRect& ABounds)
{
  DrawScaledFixedGroupIndicator(ACanvas, ABounds, dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::GetFixedGroupIndicatorSize()
{
  return GetScaledFixedGroupIndicatorSize(dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawWheelPickerItem(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState)
{
  DrawWheelPickerItemBackground(ACanvas, ARect, AState);
  DrawWheelPickerItemBorder(ACanvas, ARect, AState);
}

// An item without a colour of its state (clDefault: no preference) is left
// to the picker's background rather than painted in whatever colour the
// canvas brush or pen holds.
void TcxCustomLookAndFeelPainter::DrawWheelPickerItemBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                                TcxButtonState AState)
{
  const TColor color = GetWheelPickerFillItemColor(AState);
  if (cxIsColorAssigned(color))
    ACanvas->FillRect(ARect, color);
}

void TcxCustomLookAndFeelPainter::DrawWheelPickerItemBorder(TcxCanvas* ACanvas, const TRect& ARect,
                                                            TcxButtonState AState)
{
  const TColor color = GetWheelPickerBorderItemColor(AState);
  if (cxIsColorAssigned(color))
    ACanvas->FrameRect(ARect, color);
}

TColor TcxCustomLookAndFeelPainter::GaugeControlBackgroundColor()
{
  return clWindow;
}

TColor TcxCustomLookAndFeelPainter::MapControlBackgroundColor()
{
  return static_cast<TColor>(0x958B5F);
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlPanelBackColor()
{
  return 0xC8000000;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlPanelHotTrackedTextColor()
{
  return 0xFFFFFFFF;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlPanelPressedTextColor()
{
  return 0xFF7E8383;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlPanelTextColor()
{
  return 0xFFADDFFF;
}

TSize TcxCustomLookAndFeelPainter::MapControlGetMapPushpinSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(MapPushpinGlyph()->GetSize());
}

TPoint TcxCustomLookAndFeelPainter::MapControlGetMapPushpinTextOrigin(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TPoint{17, 17});
}

TRect TcxCustomLookAndFeelPainter::MapControlMapCustomElementSelectionOffset(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TRect{14, 14, 14, 14});
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlMapCustomElementTextColor()
{
  return 0xFF000000;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlMapCustomElementTextGlowColor()
{
  return 0xFFFFFFFF;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlMapPushpinTextColor()
{
  return 0xFF000000;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlMapPushpinTextGlowColor()
{
  return 0xFFFFFFFF;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlSelectedRegionBackgroundColor()
{
  return 0x800072AE;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlSelectedRegionBorderColor()
{
  return 0xFF3399FF;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlShapeColor()
{
  return 0xFFD7D7D7;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlShapeBorderColor()
{
  return 0xFFFFFFFF;
}

int TcxCustomLookAndFeelPainter::MapControlShapeBorderWidth(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(1);
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlShapeHighlightedColor()
{
  return 0xFFD7D7D7;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlShapeBorderHighlightedColor()
{
  return 0xFFFFFFFF;
}

int TcxCustomLookAndFeelPainter::MapControlShapeBorderHighlightedWidth(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(1);
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlShapeSelectedColor()
{
  return 0xFFD7D7D7;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlShapeBorderSelectedColor()
{
  return 0xFFFFFFFF;
}

int TcxCustomLookAndFeelPainter::MapControlShapeBorderSelectedWidth(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(1);
}

TColor TcxCustomLookAndFeelPainter::OfficeNavigationBarButtonItemTextColor(TcxCalendarElementState AState)
{
  return OfficeNavigationBarItemTextColor(AState);
}

TColor TcxCustomLookAndFeelPainter::OfficeNavigationBarItemTextColor(TcxCalendarElementState AState)
{
  return static_cast<TColor>(AState == cesHot || AState == cesPressed || AState == cesSelected ? 0xC67200 : 0x565656);
}

TRect TcxCustomLookAndFeelPainter::OfficeNavigationBarScaledButtonItemContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TRect{4, 4, 4, 4});
}

int TcxCustomLookAndFeelPainter::OfficeNavigationBarScaledButtonItemFontSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(9);
}

TRect TcxCustomLookAndFeelPainter::OfficeNavigationBarScaledContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TRect{2, 2, 2, 2});
}

TSize TcxCustomLookAndFeelPainter::OfficeNavigationBarScaledCustomizationButtonSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(NavigationBarCustomizationButtonGlyph()->GetSize());
}

TRect TcxCustomLookAndFeelPainter::OfficeNavigationBarScaledItemContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TRect{2, 2, 2, 2});
}

int TcxCustomLookAndFeelPainter::OfficeNavigationBarScaledItemFontSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(19);
}

TSize TcxCustomLookAndFeelPainter::TrackBarScaledThumbSize(bool, const TdxScaleFactor*)
{
  return TSize{0, 0};
}

int TcxCustomLookAndFeelPainter::TrackBarScaledTrackSize(const TdxScaleFactor*)
{
  return 0;
}

TColor TcxCustomLookAndFeelPainter::TrackBarTicksColor(bool)
{
  return clDefault;
}

TColor TcxCustomLookAndFeelPainter::GetRangeControlBackColor()
{
  return clWindow;
}

TColor TcxCustomLookAndFeelPainter::GetRangeControlBorderColor()
{
  return static_cast<TColor>(0xAAA09D);
}

TColor TcxCustomLookAndFeelPainter::GetRangeControlDefaultElementColor()
{
  return static_cast<TColor>(0xA69A9A);
}

TColor TcxCustomLookAndFeelPainter::GetRangeControlElementForeColor()
{
  return static_cast<TColor>(0xE1DEDD);
}

TdxAlphaColor TcxCustomLookAndFeelPainter::GetRangeControlElementsBorderColor()
{
  return 0xFFB6B8BF;
}

TColor TcxCustomLookAndFeelPainter::GetRangeControlLabelColor()
{
  return static_cast<TColor>(0xBAAEAE);
}

TdxAlphaColor TcxCustomLookAndFeelPainter::GetRangeControlOutOfRangeColor()
{
  return 0x1E9DA0AA;
}

TColor TcxCustomLookAndFeelPainter::GetRangeControlRangePreviewColor()
{
  return clWindow;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::GetRangeControlRulerColor()
{
  return 0x14000000;
}

int TcxCustomLookAndFeelPainter::GetRangeControlScaledScrollAreaHeight(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(11);
}

TSize TcxCustomLookAndFeelPainter::GetRangeControlScaledSizingGlyphSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TSize{5, 9});
}

TSize TcxCustomLookAndFeelPainter::GetRangeControlScaledThumbSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TSize{11, 19});
}

TColor TcxCustomLookAndFeelPainter::GetRangeControlScrollAreaColor()
{
  return static_cast<TColor>(0xE1DEDD);
}

TdxAlphaColor TcxCustomLookAndFeelPainter::GetRangeControlSelectedRegionBackgroundColor()
{
  return 0x64A8C3F1;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::GetRangeControlSelectedRegionBorderColor()
{
  return 0x644571BA;
}

TColor TcxCustomLookAndFeelPainter::GetRangeControlViewPortPreviewColor()
{
  return static_cast<TColor>(0xF2F1F0);
}

TSize TcxCustomLookAndFeelPainter::RangeTrackBarScaledLeftThumbSize(bool, TcxTrackBarTicksAlign, const TdxScaleFactor*)
{
  return TSize{0, 0};
}

TSize TcxCustomLookAndFeelPainter::RangeTrackBarScaledRightThumbSize(bool, TcxTrackBarTicksAlign, const TdxScaleFactor*)
{
  return TSize{0, 0};
}

IdxColorPalette* TcxCustomLookAndFeelPainter::PDFViewerNavigationPaneButtonColorPalette(TcxButtonState)
{
  return nullptr;
}

TRect TcxCustomLookAndFeelPainter::PDFViewerNavigationPaneButtonContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TRect{2, 2, 2, 2});
}

TPoint TcxCustomLookAndFeelPainter::PDFViewerNavigationPaneButtonOverlay(const TdxScaleFactor* AScaleFactor)
{
  const TRect offsets = PDFViewerNavigationPaneContentOffsets(AScaleFactor);
  return TPoint{offsets.left, offsets.top + BorderSize()};
}

TSize TcxCustomLookAndFeelPainter::PDFViewerNavigationPaneButtonSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TSize{42, 42});
}

TRect TcxCustomLookAndFeelPainter::PDFViewerNavigationPaneContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TRect{4, 4, 4, 4});
}

TRect TcxCustomLookAndFeelPainter::PDFViewerNavigationPanePageCaptionContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  return PDFViewerNavigationPanePageContentOffsets(AScaleFactor);
}

TColor TcxCustomLookAndFeelPainter::PDFViewerNavigationPanePageCaptionTextColor()
{
  return DefaultContentTextColor();
}

TRect TcxCustomLookAndFeelPainter::PDFViewerNavigationPanePageContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  return PDFViewerNavigationPaneContentOffsets(AScaleFactor);
}

TRect TcxCustomLookAndFeelPainter::PDFViewerNavigationPanePageToolbarContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  return PDFViewerNavigationPaneContentOffsets(AScaleFactor);
}

TColor TcxCustomLookAndFeelPainter::PDFViewerSelectionColor()
{
  return DefaultSelectionColor();
}

TColor TcxCustomLookAndFeelPainter::SpreadSheetContentColor()
{
  return clWindow;
}

TColor TcxCustomLookAndFeelPainter::SpreadSheetContentTextColor()
{
  return clWindowText;
}

TColor TcxCustomLookAndFeelPainter::SpreadSheetFrozenPaneSeparatorColor()
{
  return clBlack;
}

TColor TcxCustomLookAndFeelPainter::SpreadSheetGroupExpandButtonTextColor(TcxButtonState AState)
{
  return ButtonSymbolColor(AState, clDefault);
}

TColor TcxCustomLookAndFeelPainter::SpreadSheetGroupLineColor()
{
  return clGray;
}

TRect TcxCustomLookAndFeelPainter::SpreadSheetScaledGroupExpandButtonContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TRect{3, 3, 3, 3});
}

TSize TcxCustomLookAndFeelPainter::SpreadSheetScaledGroupExpandButtonGlyphSize(const TdxScaleFactor* AScaleFactor)
{
  return NavigatorScaledButtonGlyphSize(AScaleFactor);
}

TSize TcxCustomLookAndFeelPainter::SpreadSheetScaledGroupLevelMarkSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TSize{2, 2});
}

TColor TcxCustomLookAndFeelPainter::SpreadSheetSelectionColor()
{
  return DefaultSelectionColor();
}

int TcxCustomLookAndFeelPainter::SpreadSheetFormulaBarGetScaledSeparatorSize(const TdxScaleFactor* AScaleFactor)
{
  return GetScaledSplitterSize(false, AScaleFactor).cx;
}

TColor TcxCustomLookAndFeelPainter::LayoutControlEmptyAreaColor()
{
  return clBtnFace;
}

IdxColorPalette* TcxCustomLookAndFeelPainter::LayoutControlGetColorPaletteForGroupButton(TcxButtonState)
{
  return nullptr;
}

IdxColorPalette* TcxCustomLookAndFeelPainter::LayoutControlGetColorPaletteForItemCaption()
{
  return nullptr;
}

IdxColorPalette* TcxCustomLookAndFeelPainter::LayoutControlGetColorPaletteForTabbedGroupCaption(TcxButtonState)
{
  return nullptr;
}

TColor TcxCustomLookAndFeelPainter::PrintPreviewBackgroundTextColor()
{
  return clWindowText;
}

TRect TcxCustomLookAndFeelPainter::PrintPreviewPageBordersScaledWidth(const TdxScaleFactor*)
{
  return TRect{2, 2, 4, 4};
}

TColor TcxCustomLookAndFeelPainter::CalcEditButtonTextColor(TcxCalcButtonKind AButtonKind)
{
  switch (AButtonKind) {
    case cbBack:
    case cbCancel:
    case cbClear:
      return clMaroon;
    case cbMC:
    case cbMR:
    case cbMS:
    case cbMP:
    case cbDiv:
    case cbMul:
    case cbSub:
    case cbAdd:
    case cbEqual:
      return clRed;
    case cbSqrt:
    case cbPercent:
    case cbRev:
      return clNavy;
    default:
      return clBlue;
  }
}

TColor TcxCustomLookAndFeelPainter::GetCustomizationFormListBackgroundColor()
{
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::GetGalleryGroupTextColor()
{
  return clDefault;
}

TColor TcxCustomLookAndFeelPainter::GetGalleryItemCaptionTextColor(const TdxGalleryItemViewState&)
{
  return clWindowText;
}

IdxColorPalette* TcxCustomLookAndFeelPainter::GetGalleryItemColorPalette(const TdxGalleryItemViewState&)
{
  return nullptr;
}

TColor TcxCustomLookAndFeelPainter::GetGalleryItemDescriptionTextColor(const TdxGalleryItemViewState&)
{
  return clGrayText;
}

TColor TcxCustomLookAndFeelPainter::GetGalleryItemImageFrameColor()
{
  return clBtnShadow;
}

TRect TcxCustomLookAndFeelPainter::GetGalleryScaledGroupHeaderContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TRect{7, 2, 7, 2});
}

bool TcxCustomLookAndFeelPainter::DrawGalleryItemSelectionFirst()
{
  return false;
}

TColor TcxCustomLookAndFeelPainter::GetColorGalleryGlyphFrameColor()
{
  return static_cast<TColor>(0xE2E4E6);
}

IdxColorPalette* TcxCustomLookAndFeelPainter::GetRatingControlIndicatorColorPalette(TdxRatingControlIndicatorState)
{
  return nullptr;
}

TSize TcxCustomLookAndFeelPainter::GetRatingControlScaledIndicatorSize(const TdxScaleFactor* AScaleFactor)
{
  TdxSmartImage* image = RatingControlIndicatorGlyph();
  return AScaleFactor->Apply(TSize{image->GetWidth(), image->GetHeight() / 3});
}

TSize TcxCustomLookAndFeelPainter::GetScaledFixedGroupIndicatorSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(FixedGroupIndicatorGlyph()->GetSize());
}

TColor TcxCustomLookAndFeelPainter::GetWheelPickerBorderItemColor(TcxButtonState AState)
{
  switch (AState) {
    case cxbsHot:
      return static_cast<TColor>(0xD9D9D9);
    case cxbsPressed:
      return static_cast<TColor>(0xE7C9BC);
    default:
      return clDefault;
  }
}

IdxColorPalette* TcxCustomLookAndFeelPainter::GetWheelPickerColorPalette(TcxButtonState)
{
  return nullptr;
}

TColor TcxCustomLookAndFeelPainter::GetWheelPickerFillItemColor(TcxButtonState AState)
{
  switch (AState) {
    case cxbsHot:
      return static_cast<TColor>(0xF2F0EF);
    case cxbsPressed:
      return static_cast<TColor>(0xFDEAE2);
    default:
      return clDefault;
  }
}

TColor TcxCustomLookAndFeelPainter::RichEditControlHeaderFooterLineColor()
{
  return clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::RichEditControlHeaderFooterMarkBackColor()
{
  return DefaultControlColor();
}

TColor TcxCustomLookAndFeelPainter::RichEditControlHeaderFooterMarkTextColor()
{
  return DefaultControlTextColor();
}

TColor TcxCustomLookAndFeelPainter::RichEditRulerControlColor()
{
  return DefaultControlColor();
}

TColor TcxCustomLookAndFeelPainter::RichEditRulerActiveAreaColor()
{
  return DefaultContentColor();
}

TColor TcxCustomLookAndFeelPainter::RichEditRulerDefaultTabColor()
{
  return clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::RichEditRulerInactiveAreaColor()
{
  return clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::RichEditRulerTabTypeToggleBorderColor()
{
  return cl3DDkShadow;
}

TColor TcxCustomLookAndFeelPainter::RichEditRulerTextColor()
{
  return DefaultControlTextColor();
}

