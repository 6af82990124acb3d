// How the SVG elements draw: the renderers, the gradient brush, and the
// elements' drawing walk with its inherited paints.
#include <algorithm>
#include <cmath>

#include "graphics/dxSVGCore.h"
#include "platform/vcl/GraphicsHandles.h"

using enum vcl::TFontStyle;

namespace {

constexpr float SVGTolerance = 1e-4f;

bool IsZero(float AValue)
{
  return std::fabs(AValue) <= SVGTolerance;
}

// Clears a flag when the scope ends, also when drawing raises.
class TdxSVGFlagGuard {
 public:
  explicit TdxSVGFlagGuard(bool& AFlag) : FFlag(AFlag) { FFlag = true; }
  ~TdxSVGFlagGuard() { FFlag = false; }
  TdxSVGFlagGuard(const TdxSVGFlagGuard&) = delete;
  TdxSVGFlagGuard& operator=(const TdxSVGFlagGuard&) = delete;

 private:
  bool& FFlag;
};

rtl::TOwnedPtr<TdxGPMatrix> MakeGPMatrix(const XFORM& M)
{
  return rtl::TOwnedPtr<TdxGPMatrix>(rtl::NewWith<TdxGPMatrix>([&](TdxGPMatrix* AMatrix) {
    AMatrix->CreateEx(M.eM11, M.eM12, M.eM21, M.eM22, M.eDx, M.eDy);
  }));
}

int FontStyleFlags(vcl::TFontStyles AStyles)
{
  return (AStyles.Contains(fsBold) ? 1 : 0) | (AStyles.Contains(fsItalic) ? 2 : 0) |
         (AStyles.Contains(fsUnderline) ? 4 : 0) | (AStyles.Contains(fsStrikeOut) ? 8 : 0);
}

TdxGPPenLineCapStyle PenCap(TdxSVGLineCapStyle ACap)
{
  switch (ACap) {
    case lcsSquare:
      return gpcsSquare;
    case lcsRound:
      return gpcsRound;
    case lcsDefault:
    case lcsButt:
      break;
  }
  return gpcsFlat;
}

float Distance(float X1, float Y1, float X2, float Y2)
{
  return std::hypot(X2 - X1, Y2 - Y1);
}

// Moves P along the unit direction E up to the farthest edge of AViewPort
// that E points to.
TdxPointF MoveToViewPortEdge(const TdxPointF& P, float EX, float EY, const TdxRectF& AViewPort)
{
  float t = 0;
  if (!IsZero(EX))
    t = std::max(t, ((EX > 0 ? AViewPort.Right : AViewPort.Left) - P.X) / EX);
  if (!IsZero(EY))
    t = std::max(t, ((EY > 0 ? AViewPort.Bottom : AViewPort.Top) - P.Y) / EY);
  return TdxPointF(P.X + t * EX, P.Y + t * EY);
}

}  // namespace

TdxAlphaColor dxSVGApplyOpacity(TdxAlphaColor AColor, float AOpacity)
{
  if (AOpacity >= 1 || AColor == TdxAlphaColorEmpty || AColor == TdxAlphaColorTransparentWhite)
    return AColor;
  const auto alpha = static_cast<TdxAlphaColor>(static_cast<float>(AColor >> 24) * std::max(AOpacity, 0.0f));
  return (alpha << 24) | (AColor & 0x00FFFFFF);
}

TdxSizeF dxSVGMeasureString(TdxGPFont* AFont, const rtl::String& AText)
{
  vcl::TScreenDC screen;
  rtl::TOwnedPtr<TdxGPCanvas> canvas(
      rtl::NewWith<TdxGPCanvas>([&](TdxGPCanvas* ACanvas) { ACanvas->Create(screen.Get()); }));
  return canvas->MeasureString(AText, AFont);
}

// ---------------------------------------------------------------------------
// TdxSVGBrush, TdxSVGPen

bool TdxSVGBrush::NeedsNewHandleForTargetRect()
{
  return GetStyle() == gpbsGradient && FGradientAutoScale;
}

void TdxSVGBrush::CreateGradientNativeHandle(void*& AHandle)
{
  const TdxGpRectF& target = GetTargetRect();
  if (GetGradientPoints()->Count() == 0 ||
      (FGradientAutoScale && (target.Width == 0 || target.Height == 0))) {
    CreateEmptyNativeHandle(AHandle);
    return;
  }
  Gdiplus::GpPointF p1{FGradientLine.Left, FGradientLine.Top};
  Gdiplus::GpPointF p2{FGradientLine.Right, FGradientLine.Bottom};
  if (FGradientAutoScale) {
    p1 = {p1.X * target.Width + target.X, p1.Y * target.Height + target.Y};
    p2 = {p2.X * target.Width + target.X, p2.Y * target.Height + target.Y};
  }
  Gdiplus::GpLineGradient* brush = nullptr;
  dxGpCheck(dxGpFunctions.GdipCreateLineBrush(&p1, &p2, 0, 0, Gdiplus::WrapModeTileFlipX, &brush));
  AHandle = brush;
  const TdxAlphaColor* colors = nullptr;
  const float* offsets = nullptr;
  const int count = GetGradientPoints()->GetBlend(colors, offsets);
  static_assert(sizeof(Gdiplus::ARGB) == sizeof(TdxAlphaColor));
  dxGpCheck(dxGpFunctions.GdipSetLinePresetBlend(brush, reinterpret_cast<const Gdiplus::ARGB*>(colors), offsets, count));
}

TdxGPBrush* TdxSVGPen::CreateBrush()
{
  return rtl::New<TdxSVGBrush>();
}

// ---------------------------------------------------------------------------
// TdxSVGCustomRenderer

void TdxSVGCustomRenderer::Create(IdxColorPalette* APalette)
{
  inherited::Create();
  FPalette = APalette;
  FBrush = rtl::New<TdxSVGBrush>();
  FPen = rtl::New<TdxSVGPen>();
  SetOpacity(1);
}

void TdxSVGCustomRenderer::Destroy()
{
  rtl::FreeAndNil(FBrush);
  rtl::FreeAndNil(FPen);
  FPalette.Reset();
  inherited::Destroy();
}

float TdxSVGCustomRenderer::ModifyOpacity(float AOpacity)
{
  const float old = FOpacity;
  SetOpacity(old * AOpacity);
  return old;
}

void TdxSVGCustomRenderer::SetOpacity(float AOpacity)
{
  FOpacity = AOpacity;
  FOpacityAssigned = !IsZero(AOpacity - 1);
}

TdxAlphaColor TdxSVGCustomRenderer::ApplyOpacity(TdxAlphaColor AColor) const
{
  return FOpacityAssigned ? dxSVGApplyOpacity(AColor, FOpacity) : AColor;
}

// ---------------------------------------------------------------------------
// TdxSVGRenderer

void TdxSVGRenderer::Create(TdxGPCanvas* ACanvas, IdxColorPalette* APalette)
{
  inherited::Create(APalette);
  FCanvas = ACanvas;
}

float TdxSVGRenderer::ScaleStrokeWidth(float AWidth)
{
  if (AWidth <= 0)
    return AWidth;
  rtl::TOwnedPtr<TdxGPMatrix> matrix(FCanvas->GetWorldTransform());
  float m11, m12, m21, m22, dx, dy;
  matrix->GetElements(m11, m12, m21, m22, dx, dy);
  const float x = AWidth * m11 + AWidth * m21;
  const float y = AWidth * m12 + AWidth * m22;
  return std::sqrt(std::fabs(x * y));
}

void TdxSVGRenderer::Ellipse(float ACenterX, float ACenterY, float ARadiusX, float ARadiusY)
{
  FCanvas->Ellipse(TdxRectF(ACenterX - ARadiusX, ACenterY - ARadiusY, ACenterX + ARadiusX, ACenterY + ARadiusY), Pen(),
                   Brush());
}

void TdxSVGRenderer::Line(float X1, float Y1, float X2, float Y2)
{
  FCanvas->Line(X1, Y1, X2, Y2, Pen());
}

void TdxSVGRenderer::Path(TdxGPPath* APath)
{
  FCanvas->Path(APath, Pen(), Brush());
}

void TdxSVGRenderer::Polygon(const TdxSVGPoints& APoints)
{
  FCanvas->Polygon(std::span<const TdxPointF>(APoints), Pen(), Brush());
}

void TdxSVGRenderer::Polyline(const TdxSVGPoints& APoints)
{
  FCanvas->Polyline(std::span<const TdxPointF>(APoints), Pen());
}

void TdxSVGRenderer::Rectangle(float X, float Y, float AWidth, float AHeight)
{
  FCanvas->Rectangle(TdxRectF(X, Y, X + AWidth, Y + AHeight), Pen(), Brush());
}

void TdxSVGRenderer::RoundRect(float X, float Y, float AWidth, float AHeight, float ARadiusX, float ARadiusY)
{
  rtl::TOwnedPtr<TdxGPPath> path(rtl::New<TdxGPPath>());
  path->AddRoundRect(TdxRectF(X, Y, X + AWidth, Y + AHeight), ARadiusX, ARadiusY);
  Path(path.get());
}

void TdxSVGRenderer::TextOut(float X, float Y, const rtl::String& AText, TdxGPFont* AFont)
{
  FCanvas->DrawString(AText, AFont, Brush(), X, Y);
}

void TdxSVGRenderer::RestoreClipRegion()
{
  FCanvas->RestoreClipRegion();
}

void TdxSVGRenderer::SaveClipRegion()
{
  FCanvas->SaveClipRegion();
}

void TdxSVGRenderer::SetClipRegion(TdxGPPath* APath, TdxGPCombineMode AMode)
{
  FCanvas->SetClipPath(APath, AMode);
}

void TdxSVGRenderer::ModifyWorldTransform(const XFORM& AMatrix)
{
  FCanvas->ModifyWorldTransform(MakeGPMatrix(AMatrix).get(), MatrixOrderPrepend);
}

void TdxSVGRenderer::RestoreWorldTransform()
{
  FCanvas->RestoreWorldTransform();
}

void TdxSVGRenderer::SaveWorldTransform()
{
  FCanvas->SaveWorldTransform();
}

// ---------------------------------------------------------------------------
// TdxSVGRendererClipPath

void TdxSVGRendererClipPath::Create(IdxColorPalette* APalette)
{
  inherited::Create(APalette);
  FClipPath = rtl::New<TdxGPPath>();
  FTransform = cxXFormIdentity();
}

void TdxSVGRendererClipPath::Destroy()
{
  rtl::FreeAndNil(FClipPath);
  inherited::Destroy();
}

template <class F>
void TdxSVGRendererClipPath::AddFigure(F&& AAdd)
{
  rtl::TOwnedPtr<TdxGPPath> figure(rtl::New<TdxGPPath>());
  AAdd(figure.get());
  figure->Transform(MakeGPMatrix(FTransform).get());
  // Figures stay apart: the union of their areas clips.
  dxGpCheck(dxGpFunctions.GdipAddPathPath(FClipPath->Handle(), figure->Handle(), FALSE));
}

void TdxSVGRendererClipPath::Ellipse(float ACenterX, float ACenterY, float ARadiusX, float ARadiusY)
{
  AddFigure([&](TdxGPPath* APath) {
    APath->AddEllipse(TdxRectF(ACenterX - ARadiusX, ACenterY - ARadiusY, ACenterX + ARadiusX, ACenterY + ARadiusY));
  });
}

void TdxSVGRendererClipPath::Line(float X1, float Y1, float X2, float Y2)
{
  AddFigure([&](TdxGPPath* APath) { APath->AddLine(X1, Y1, X2, Y2); });
}

void TdxSVGRendererClipPath::Path(TdxGPPath* APath)
{
  AddFigure([&](TdxGPPath* AFigure) { AFigure->AddPath(APath); });
}

void TdxSVGRendererClipPath::Polygon(const TdxSVGPoints& APoints)
{
  if (!APoints.empty())
    AddFigure([&](TdxGPPath* APath) { APath->AddPolygon(std::span<const TdxPointF>(APoints)); });
}

void TdxSVGRendererClipPath::Polyline(const TdxSVGPoints& APoints)
{
  if (!APoints.empty())
    AddFigure([&](TdxGPPath* APath) { APath->AddPolyline(std::span<const TdxPointF>(APoints)); });
}

void TdxSVGRendererClipPath::Rectangle(float X, float Y, float AWidth, float AHeight)
{
  AddFigure([&](TdxGPPath* APath) { APath->AddRect(TdxRectF(X, Y, X + AWidth, Y + AHeight)); });
}

void TdxSVGRendererClipPath::RoundRect(float X, float Y, float AWidth, float AHeight, float ARadiusX, float ARadiusY)
{
  AddFigure([&](TdxGPPath* APath) {
    APath->AddRoundRect(TdxRectF(X, Y, X + AWidth, Y + AHeight), ARadiusX, ARadiusY);
  });
}

void TdxSVGRendererClipPath::TextOut(float X, float Y, const rtl::String& AText, TdxGPFont* AFont)
{
  const TdxSizeF size = dxSVGMeasureString(AFont, AText);
  AddFigure([&](TdxGPPath* APath) {
    APath->AddString(AText, AFont, nullptr, TdxRectF(X, Y, X + size.cx, Y + size.cy));
  });
}

void TdxSVGRendererClipPath::ModifyWorldTransform(const XFORM& AMatrix)
{
  FTransform = cxXFormCombine(AMatrix, FTransform);
}

void TdxSVGRendererClipPath::RestoreWorldTransform()
{
  if (FSavedTransforms.empty())
    return;
  FTransform = FSavedTransforms.back();
  FSavedTransforms.pop_back();
}

void TdxSVGRendererClipPath::SaveWorldTransform()
{
  FSavedTransforms.push_back(FTransform);
}

// ---------------------------------------------------------------------------
// Drawing the elements

void TdxSVGElement::Draw(TdxSVGCustomRenderer* ARenderer)
{
  TdxSVGFlagGuard drawing(FDrawing);
  const float oldOpacity = ARenderer->ModifyOpacity(FOpacity);
  rtl::Finally restoreOpacity([&] { ARenderer->SetOpacity(oldOpacity); });
  const bool transformed = !FTransform->IsIdentity();
  if (transformed) {
    ARenderer->SaveWorldTransform();
    ARenderer->ModifyWorldTransform(FTransform->GetXForm());
  }
  rtl::Finally restoreTransform([&] {
    if (transformed)
      ARenderer->RestoreWorldTransform();
  });
  ApplyStroke(ARenderer);
  ApplyFill(ARenderer);
  if (FClipPath.empty()) {
    DrawContent(ARenderer);
    return;
  }
  ARenderer->SaveClipRegion();
  rtl::Finally restoreClip([&] { ARenderer->RestoreClipRegion(); });
  ApplyClipPath(ARenderer);
  DrawContent(ARenderer);
}

void TdxSVGElement::DrawContent(TdxSVGCustomRenderer* ARenderer)
{
  DrawCore(ARenderer);
  for (TdxSVGElement* child : FChildren)
    child->Draw(ARenderer);
}

void TdxSVGElement::ApplyClipPath(TdxSVGCustomRenderer* ARenderer)
{
  TdxSVGElement* clipPath = nullptr;
  if (Root() && Root()->FindByID(FClipPath, clipPath) && rtl::Is<TdxSVGElementClipPath>(clipPath))
    static_cast<TdxSVGElementClipPath*>(clipPath)->ApplyTo(ARenderer, this);
}

TdxSVGElement* TdxSVGElement::FindPaintServer(const rtl::String& AID)
{
  TdxSVGElement* element = nullptr;
  if (!Root() || !Root()->FindByID(AID, element) || element->FApplyingPaint)
    return nullptr;
  return element;
}

TdxSVGFill TdxSVGElement::GetActualFill(IdxColorPalette* APalette)
{
  // A palette colour for the element's style wins over its own fill.
  TdxSVGFill result = TdxSVGFill::Default();
  if (APalette)
    result = TdxSVGFill::Create(APalette->GetFillColor(FStyleName));
  if (result.IsDefault())
    result = FFill;
  if (result.IsDefault())
    return FParent ? FParent->GetActualFill(APalette) : TdxSVGFill::Create(0xFF000000);
  return result;
}

TdxSVGFill TdxSVGElement::GetActualStroke(IdxColorPalette* APalette)
{
  TdxSVGFill result = TdxSVGFill::Default();
  if (APalette && !FStroke.IsDefault())
    result = TdxSVGFill::Create(APalette->GetStrokeColor(FStyleName));
  if (result.IsDefault())
    result = FStroke;
  if (result.IsDefault())
    return FParent ? FParent->GetActualStroke(APalette) : TdxSVGFill::Create(0);
  return result;
}

TdxSVGFillMode TdxSVGElement::GetActualFillMode()
{
  if (FFillMode != fmInherit)
    return FFillMode;
  return FParent ? FParent->GetActualFillMode() : fmNonZero;
}

const TdxSVGValues& TdxSVGElement::GetActualStrokeDashArray()
{
  if (!FStrokeDashArray.empty() || !FParent)
    return FStrokeDashArray;
  return FParent->GetActualStrokeDashArray();
}

float TdxSVGElement::GetActualStrokeDashOffset()
{
  if (FStrokeDashOffset >= 0)
    return FStrokeDashOffset;
  return FParent ? FParent->GetActualStrokeDashOffset() : 0;
}

TdxSVGLineCapStyle TdxSVGElement::GetActualStrokeLineCap()
{
  if (FStrokeLineCap != lcsDefault)
    return FStrokeLineCap;
  return FParent ? FParent->GetActualStrokeLineCap() : lcsDefault;
}

float TdxSVGElement::GetActualStrokeWidth()
{
  if (FStrokeSize != 0)
    return FStrokeSize;
  return FParent ? FParent->GetActualStrokeWidth() : 1;
}

void TdxSVGElement::ApplyFill(TdxSVGCustomRenderer* ARenderer)
{
  const TdxSVGFill paint = GetActualFill(ARenderer->Palette());
  if (paint.IsReference()) {
    // A missing server leaves the brush as the element before left it.
    if (TdxSVGElement* server = FindPaintServer(paint.AsReference())) {
      TdxSVGFlagGuard applying(server->FApplyingPaint);
      server->ApplyFill(ARenderer);
    }
    return;
  }
  TdxAlphaColor color = paint.AsColor();
  if (FFillOpacity != 1 && color != TdxAlphaColorEmpty && color != TdxAlphaColorDefault)
    color = (static_cast<TdxAlphaColor>(std::lround(FFillOpacity * 255)) << 24) | (color & 0x00FFFFFF);
  ARenderer->Brush()->SetStyle(gpbsSolid);
  ARenderer->Brush()->SetColor(ARenderer->ApplyOpacity(color));
}

void TdxSVGElement::ApplyStroke(TdxSVGCustomRenderer* ARenderer)
{
  TdxSVGPen* pen = ARenderer->Pen();
  const TdxSVGFill paint = GetActualStroke(ARenderer->Palette());
  if (paint.IsReference()) {
    if (TdxSVGElement* server = FindPaintServer(paint.AsReference())) {
      TdxSVGFlagGuard applying(server->FApplyingPaint);
      server->ApplyStroke(ARenderer);
    }
  } else {
    pen->Brush()->SetStyle(gpbsSolid);
    pen->Brush()->SetColor(ARenderer->ApplyOpacity(paint.AsColor()));
  }
  const float width = GetActualStrokeWidth();
  pen->SetStyle(gppsSolid);
  pen->SetLineJoin(FStrokeLineJoin);
  pen->SetLineStartCapStyle(PenCap(GetActualStrokeLineCap()));
  pen->SetLineEndCapStyle(PenCap(GetActualStrokeLineCap()));
  pen->SetMiterLimit(FStrokeMiterLimit);
  pen->SetWidth(ARenderer->ScaleStrokeWidth(width));
  const TdxSVGValues& dashes = GetActualStrokeDashArray();
  if (dashes.empty() || width <= 0)
    return;
  // The library measures dashes in pen widths.
  TdxSVGValues pattern(dashes);
  for (float& length : pattern)
    length /= width;
  pen->SetDashArray(pattern);
  dxGpCheck(dxGpFunctions.GdipSetPenDashOffset(pen->Handle(), GetActualStrokeDashOffset()));
}

float TdxSVGElement::ToPixelsX(const TdxSVGValue& AValue)
{
  return AValue.ToPixels(Root() ? Root()->Size().cx : 0, 96);
}

float TdxSVGElement::ToPixelsY(const TdxSVGValue& AValue)
{
  return AValue.ToPixels(Root() ? Root()->Size().cy : 0, 96);
}

void TdxSVGElementCircle::DrawCore(TdxSVGCustomRenderer* ARenderer)
{
  const float radius = ToPixelsX(FRadius);
  ARenderer->Ellipse(ToPixelsX(FCenterX), ToPixelsY(FCenterY), radius, radius);
}

void TdxSVGElementEllipse::DrawCore(TdxSVGCustomRenderer* ARenderer)
{
  ARenderer->Ellipse(ToPixelsX(FCenterX), ToPixelsY(FCenterY), ToPixelsX(FRadiusX), ToPixelsY(FRadiusY));
}

void TdxSVGElementLine::DrawCore(TdxSVGCustomRenderer* ARenderer)
{
  ARenderer->Line(ToPixelsX(FX1), ToPixelsY(FY1), ToPixelsX(FX2), ToPixelsY(FY2));
}

void TdxSVGElementPath::DrawCore(TdxSVGCustomRenderer* ARenderer)
{
  FPath->SetFillMode(GetActualFillMode() == fmNonZero ? gpfmWinding : gpfmAlternate);
  ARenderer->Path(FPath);
}

void TdxSVGElementPolygon::DrawCore(TdxSVGCustomRenderer* ARenderer)
{
  ARenderer->Polygon(FPoints);
}

void TdxSVGElementPolyline::ApplyStroke(TdxSVGCustomRenderer* ARenderer)
{
  inherited::ApplyStroke(ARenderer);
  // A polyline without a stroke of its own is drawn with the last fill.
  TdxSVGPen* pen = ARenderer->Pen();
  if (!pen->IsEmpty())
    return;
  if (pen->GetWidth() == 0)
    pen->SetWidth(ARenderer->ScaleStrokeWidth(1));
  if (pen->GetBrush()->IsEmpty())
    pen->SetBrush(ARenderer->Brush());
}

void TdxSVGElementPolyline::DrawCore(TdxSVGCustomRenderer* ARenderer)
{
  ARenderer->Polyline(FPoints);
}

void TdxSVGElementRectangle::DrawCore(TdxSVGCustomRenderer* ARenderer)
{
  const float x = ToPixelsX(FX);
  const float y = ToPixelsY(FY);
  const float width = ToPixelsX(FWidth);
  const float height = ToPixelsY(FHeight);
  if (FCornerRadiusX.IsEmpty() && FCornerRadiusY.IsEmpty())
    ARenderer->Rectangle(x, y, width, height);
  else
    ARenderer->RoundRect(x, y, width, height, ToPixelsX(FCornerRadiusX), ToPixelsY(FCornerRadiusY));
}

TdxGPFont* TdxSVGElementText::CreateFont()
{
  if (!FCachedFontFamily) {
    rtl::String name = FFontName;
    while (true) {
      rtl::TOwnedPtr<TdxGPFontFamily> family(
          rtl::NewWith<TdxGPFontFamily>([&](TdxGPFontFamily* AFamily) { AFamily->Create(name); }));
      if (family->Handle()) {
        FCachedFontFamily = family.release();
        break;
      }
      const size_t dash = name.rfind(L'-');
      if (dash == rtl::String::npos)
        break;
      name.erase(dash);
    }
    const rtl::String lowerName = rtl::LowerCase(FFontName);
    if (!FCachedFontFamily && lowerName.find(L"sans-serif") != rtl::String::npos)
      FCachedFontFamily = TdxGPFontFamily::GenericSansSerif()->Clone();
    else if (!FCachedFontFamily && lowerName.find(L"serif") != rtl::String::npos)
      FCachedFontFamily = TdxGPFontFamily::GenericSerif()->Clone();
  }
  if (!FCachedFontFamily)
    return nullptr;
  try {
    return rtl::NewWith<TdxGPFont>([&](TdxGPFont* AFont) {
      AFont->Create(FCachedFontFamily, FFontSize, FontStyleFlags(FFontStyles), guPixel);
    });
  } catch (const rtl::Exception&) {
    return nullptr;
  }
}

void TdxSVGElementText::DrawCore(TdxSVGCustomRenderer* ARenderer)
{
  if (FText.empty())
    return;
  rtl::TOwnedPtr<TdxGPFont> font(CreateFont());
  if (!font)
    return;
  const TdxSizeF size = dxSVGMeasureString(font.get(), FText);
  const int style = font->Style();
  const float ascent = static_cast<float>(FCachedFontFamily->GetCellAscent(style)) * font->Size() /
                       std::max<float>(FCachedFontFamily->GetEmHeight(style), 1);
  // Y is the baseline.
  float x = ToPixelsX(FX);
  float y = ToPixelsY(FY) - ascent;
  if (FTextAnchor == taMiddle)
    x -= size.cx / 2;
  else if (FTextAnchor == taEnd)
    x -= size.cx;
  x += ToPixelsX(FDX);
  y += ToPixelsY(FDY);
  ARenderer->TextOut(x, y, FText, font.get());
}

void TdxSVGElementUse::DrawCore(TdxSVGCustomRenderer* ARenderer)
{
  TdxSVGElement* target = nullptr;
  if (!Root() || !Root()->FindByID(FReference, target))
    return;
  // The target is this element or one of its ancestors: drawing it would
  // never end.
  if (target->FDrawing)
    return;
  ARenderer->SaveWorldTransform();
  rtl::Finally restoreTransform([&] { ARenderer->RestoreWorldTransform(); });
  ARenderer->ModifyWorldTransform(cxXFormTranslation(ToPixelsX(FX), ToPixelsY(FY)));
  // Inherited values come from the use element's chain while it draws.
  TdxSVGElement* const parent = target->FParent;
  target->FParent = this;
  rtl::Finally restoreParent([&] { target->FParent = parent; });
  target->Draw(ARenderer);
}

void TdxSVGElementClipPath::ApplyTo(TdxSVGCustomRenderer* ARenderer, TdxSVGElement*)
{
  // A clip path reached again from inside itself adds nothing more.
  if (FApplying)
    return;
  TdxSVGFlagGuard applying(FApplying);
  rtl::TOwnedPtr<TdxSVGRendererClipPath> clipRenderer(rtl::New<TdxSVGRendererClipPath>(nullptr));
  DrawContent(clipRenderer.get());
  ARenderer->SetClipRegion(clipRenderer->ClipPath(), gmIntersect);
}

// ---------------------------------------------------------------------------
// Linear gradients

void TdxSVGElementLinearGradient::ApplyFill(TdxSVGCustomRenderer* ARenderer)
{
  PrepareGradientBrush(ARenderer, ARenderer->Brush());
}

void TdxSVGElementLinearGradient::ApplyStroke(TdxSVGCustomRenderer* ARenderer)
{
  PrepareGradientBrush(ARenderer, ARenderer->Pen()->Brush());
}

void TdxSVGElementLinearGradient::PrepareGradientBrush(TdxSVGCustomRenderer* ARenderer, TdxSVGBrush* ABrush)
{
  ABrush->FreeHandle();
  const TdxRectF line(ToPixelsX(FX1), ToPixelsY(FY1), ToPixelsX(FX2), ToPixelsY(FY2));
  bool degenerate = IsZero(line.Right - line.Left) && IsZero(line.Bottom - line.Top);
  if (!degenerate) {
    ABrush->FGradientAutoScale = FUnitsType == cuObjectBoundingBox;
    ABrush->FGradientLine = AdjustGradientLine(line);
    const TdxRectF& adjusted = ABrush->FGradientLine;
    degenerate = IsZero(adjusted.Right - adjusted.Left) && IsZero(adjusted.Bottom - adjusted.Top);
  }
  TdxGPBrushGradientPoints* points = ABrush->GetGradientPoints();
  if (degenerate) {
    // No direction: the colour of the last stop everywhere.
    BuildGradientStops(points, 0, 1);
    ABrush->SetColor(points->Count() > 0 ? ARenderer->ApplyOpacity(points->GetColor(points->Count() - 1)) : 0);
    ABrush->SetStyle(gpbsSolid);
  } else {
    const TdxRectF& span = ABrush->FGradientLine;
    const float length = Distance(span.Left, span.Top, span.Right, span.Bottom);
    BuildGradientStops(points, Distance(span.Left, span.Top, line.Left, line.Top) / length,
                       Distance(span.Left, span.Top, line.Right, line.Bottom) / length);
    for (int i = 0; i < points->Count(); ++i)
      points->SetColor(i, ARenderer->ApplyOpacity(points->GetColor(i)));
    ABrush->SetStyle(gpbsGradient);
  }
  ABrush->HandleNeeded();
}

TdxRectF TdxSVGElementLinearGradient::AdjustGradientLine(const TdxRectF& ALine)
{
  if (FUnitsType == cuObjectBoundingBox || !Root())
    return ALine;
  // In user space the line is stretched over the whole view port, so that
  // the pad colours reach its edges.
  const TdxSizeF size = Root()->Size();
  const TdxRectF viewPort(Root()->ViewBox().Left, Root()->ViewBox().Top, Root()->ViewBox().Left + size.cx,
                          Root()->ViewBox().Top + size.cy);
  const float length = Distance(ALine.Left, ALine.Top, ALine.Right, ALine.Bottom);
  const float ex = (ALine.Right - ALine.Left) / length;
  const float ey = (ALine.Bottom - ALine.Top) / length;
  const TdxPointF start = MoveToViewPortEdge(TdxPointF(ALine.Left, ALine.Top), -ex, -ey, viewPort);
  const TdxPointF finish = MoveToViewPortEdge(TdxPointF(ALine.Right, ALine.Bottom), ex, ey, viewPort);
  return TdxRectF(start.X, start.Y, finish.X, finish.Y);
}

void TdxSVGElementLinearGradient::BuildGradientStops(TdxGPBrushGradientPoints* APoints, float AStart, float AEnd)
{
  APoints->Clear();
  if (Count() == 0)
    return;
  AStart = std::clamp(AStart, 0.0f, 1.0f);
  AEnd = std::clamp(std::max(AStart, AEnd), 0.0f, 1.0f);
  // Offsets outside 0..1 are clamped: the library takes no blend position
  // beyond the ends of the line.
  const auto position = [&](int AIndex) {
    return AStart + (AEnd - AStart) * std::clamp(GetStop(AIndex)->FOffset.ToPixels(1, 96), 0.0f, 1.0f);
  };
  const auto color = [&](int AIndex) {
    return dxSVGApplyOpacity(GetStop(AIndex)->FColor, GetStop(AIndex)->FColorOpacity);
  };
  if (position(0) > 0)
    APoints->Add(0, color(0));
  for (int i = 0; i < Count(); ++i)
    APoints->Add(position(i), color(i));
  if (position(Count() - 1) < 1)
    APoints->Add(1, color(Count() - 1));
}
