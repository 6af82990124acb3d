// The vector canvas.
#include <algorithm>
#include <cassert>
#include <optional>
#include <utility>

#include "graphics/dxGDIPlusClasses.h"
#include "platform/rtl/Classes.h"

using enum vcl::TPenStyle;

// ---------------------------------------------------------------------------
// TdxGPCanvas: life cycle and rendering modes

void TdxGPCanvas::Create(Gdiplus::GpGraphics* AHandle)
{
  Create();
  FHandle = AHandle;
}

void TdxGPCanvas::Create(HDC DC)
{
  Create();
  dxGpCheck(dxGpFunctions.GdipCreateFromHDC(DC, &FHandle));
}

void TdxGPCanvas::Destroy()
{
  // Saves and restores pair; what is left on a stack is a caller's fault and
  // is not freed here.
  assert(FSavedClipRegions.empty() && "TdxGPCanvas.FSavedClipRegions <> 0");
  assert(FSavedWorldTransforms.empty() && "TdxGPCanvas.FSavedWorldTransforms <> 0");
  if (FHandle)
    dxGpCheck(dxGpFunctions.GdipDeleteGraphics(std::exchange(FHandle, nullptr)));
  inherited::Destroy();
}

HDC TdxGPCanvas::GetHDC()
{
  HDC result = nullptr;
  dxGpCheck(dxGpFunctions.GdipGetDC(FHandle, &result));
  return result;
}

void TdxGPCanvas::ReleaseHDC(HDC DC)
{
  dxGpCheck(dxGpFunctions.GdipReleaseDC(FHandle, DC));
}

TdxGPInterpolationMode TdxGPCanvas::GetInterpolationMode()
{
  Gdiplus::InterpolationMode mode = Gdiplus::InterpolationModeDefault;
  dxGpCheck(dxGpFunctions.GdipGetInterpolationMode(FHandle, &mode));
  // The library's "invalid" (-1) and anything unknown read as the default.
  if (static_cast<unsigned>(mode) > imHighQualityBicubic)
    return imDefault;
  return static_cast<TdxGPInterpolationMode>(mode);
}

void TdxGPCanvas::SetInterpolationMode(TdxGPInterpolationMode AValue)
{
  dxGpCheck(dxGpFunctions.GdipSetInterpolationMode(FHandle, static_cast<Gdiplus::InterpolationMode>(AValue)));
}

TdxGPSmoothingMode TdxGPCanvas::GetSmoothingMode()
{
  Gdiplus::SmoothingMode mode = Gdiplus::SmoothingModeDefault;
  dxGpCheck(dxGpFunctions.GdipGetSmoothingMode(FHandle, &mode));
  if (static_cast<unsigned>(mode) > smAntiAlias)
    return smDefault;
  return static_cast<TdxGPSmoothingMode>(mode);
}

void TdxGPCanvas::SetSmoothingMode(TdxGPSmoothingMode AValue)
{
  dxGpCheck(dxGpFunctions.GdipSetSmoothingMode(FHandle, static_cast<Gdiplus::SmoothingMode>(AValue)));
}

TdxGpTextRenderingHint TdxGPCanvas::GetTextRenderingHint()
{
  Gdiplus::TextRenderingHint hint = TextRenderingHintSystemDefault;
  dxGpCheck(dxGpFunctions.GdipGetTextRenderingHint(FHandle, &hint));
  return hint;
}

void TdxGPCanvas::SetTextRenderingHint(TdxGpTextRenderingHint AValue)
{
  dxGpCheck(dxGpFunctions.GdipSetTextRenderingHint(FHandle, AValue));
}

Gdiplus::PixelOffsetMode TdxGPCanvas::GetPixelOffsetMode()
{
  Gdiplus::PixelOffsetMode mode = Gdiplus::PixelOffsetModeDefault;
  dxGpCheck(dxGpFunctions.GdipGetPixelOffsetMode(FHandle, &mode));
  return mode;
}

void TdxGPCanvas::SetPixelOffsetMode(Gdiplus::PixelOffsetMode AValue)
{
  dxGpCheck(dxGpFunctions.GdipSetPixelOffsetMode(FHandle, AValue));
}

float TdxGPCanvas::DpiX()
{
  float result = 0;
  dxGpCheck(dxGpFunctions.GdipGetDpiX(FHandle, &result));
  return result;
}

float TdxGPCanvas::DpiY()
{
  float result = 0;
  dxGpCheck(dxGpFunctions.GdipGetDpiY(FHandle, &result));
  return result;
}

namespace {

Gdiplus::GpRectF CanvasNativeRect(const TdxRectF& R)
{
  return {R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top};
}

// A figure given as a TRect covers (width - 1) x (height - 1) pixels.
TdxRectF ShrunkFigure(const TRect& R)
{
  return TdxRectF(static_cast<float>(R.left), static_cast<float>(R.top), static_cast<float>(R.right - 1),
                  static_cast<float>(R.bottom - 1));
}

TdxRectF BoundsOf(std::span<const TdxPointF> APoints)
{
  if (APoints.empty())
    return TdxRectF(0, 0, 0, 0);
  TdxRectF result(APoints[0].X, APoints[0].Y, APoints[0].X, APoints[0].Y);
  for (const TdxPointF& point : APoints) {
    result.Left = std::min(result.Left, point.X);
    result.Top = std::min(result.Top, point.Y);
    result.Right = std::max(result.Right, point.X);
    result.Bottom = std::max(result.Bottom, point.Y);
  }
  return result;
}

std::vector<TdxPointF> PointsF(std::span<const TPoint> APoints)
{
  return std::vector<TdxPointF>(APoints.begin(), APoints.end());
}

const Gdiplus::GpPointF* NativePoints(std::span<const TdxPointF> APoints)
{
  static_assert(sizeof(TdxPointF) == sizeof(Gdiplus::GpPointF));
  return reinterpret_cast<const Gdiplus::GpPointF*>(APoints.data());
}

int Count(std::span<const TdxPointF> APoints)
{
  return static_cast<int>(APoints.size());
}

// A solid brush for a colour, for one call; none for the colours that paint
// nothing (0 and $00FFFFFF).
class TdxGpColorBrush {
 public:
  explicit TdxGpColorBrush(TdxAlphaColor AColor)
  {
    if (!dxIsEmptyOrTransparentAlphaColor(AColor))
      dxGpCheck(dxGpFunctions.GdipCreateSolidFill(AColor, &FHandle));
  }
  ~TdxGpColorBrush()
  {
    if (FHandle)
      dxGpFunctions.GdipDeleteBrush(FHandle);
  }
  TdxGpColorBrush(const TdxGpColorBrush&) = delete;
  TdxGpColorBrush& operator=(const TdxGpColorBrush&) = delete;
  Gdiplus::GpBrush* Handle() const { return FHandle; }

 private:
  Gdiplus::GpSolidFill* FHandle = nullptr;
};

// A pen for a colour, for one call; none for the colours that paint
// nothing, a width not above 0 or a pen style that is neither solid nor
// dashed.
class TdxGpColorPen {
 public:
  TdxGpColorPen(TdxAlphaColor AColor, float AWidth, Gdiplus::DashStyle AStyle)
  {
    if (dxIsEmptyOrTransparentAlphaColor(AColor) || !(AWidth > 0))
      return;
    dxGpCheck(dxGpFunctions.GdipCreatePen1(AColor, AWidth, Gdiplus::UnitPixel, &FHandle));
    if (AStyle != Gdiplus::DashStyleSolid)
      dxGpCheck(dxGpFunctions.GdipSetPenDashStyle(FHandle, AStyle));
  }
  TdxGpColorPen(TdxAlphaColor AColor, float AWidth, vcl::TPenStyle AStyle)
  {
    if (AStyle >= psSolid && AStyle <= psDashDotDot)
      *this = TdxGpColorPen(AColor, AWidth, static_cast<Gdiplus::DashStyle>(AStyle));
  }
  ~TdxGpColorPen()
  {
    if (FHandle)
      dxGpFunctions.GdipDeletePen(FHandle);
  }
  TdxGpColorPen(const TdxGpColorPen&) = delete;
  TdxGpColorPen& operator=(TdxGpColorPen&& AOther) noexcept
  {
    std::swap(FHandle, AOther.FHandle);
    return *this;
  }
  Gdiplus::GpPen* Handle() const { return FHandle; }

 private:
  Gdiplus::GpPen* FHandle = nullptr;
};

}  // namespace

// ---------------------------------------------------------------------------
// Clearing and clipping

void TdxGPCanvas::Clear(vcl::TColor AColor)
{
  dxGpCheck(dxGpFunctions.GdipGraphicsClear(FHandle, dxColorToAlphaColor(AColor)));
}

void TdxGPCanvas::SaveClipRegion()
{
  Gdiplus::GpRegion* region = nullptr;
  dxGpCheck(dxGpFunctions.GdipCreateRegion(&region));
  const Status status = dxGpFunctions.GdipGetClip(FHandle, region);
  if (status != Ok) {
    dxGpFunctions.GdipDeleteRegion(region);
    dxGpCheck(status);
  }
  FSavedClipRegions.push_back(region);
}

void TdxGPCanvas::RestoreClipRegion()
{
  if (FSavedClipRegions.empty())
    rtl::ListIndexError(-1);
  Gdiplus::GpRegion* region = FSavedClipRegions.back();
  FSavedClipRegions.pop_back();
  const Status status = dxGpFunctions.GdipSetClipRegion(FHandle, region, Gdiplus::CombineModeReplace);
  dxGpFunctions.GdipDeleteRegion(region);
  dxGpCheck(status);
}

void TdxGPCanvas::SetClipRect(const TRect& R, TdxGPCombineMode AMode)
{
  SetClipRect(TdxRectF(R), AMode);
}

void TdxGPCanvas::SetClipRect(const TdxRectF& R, TdxGPCombineMode AMode)
{
  dxGpCheck(dxGpFunctions.GdipSetClipRect(FHandle, R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top,
                                          static_cast<Gdiplus::CombineMode>(AMode)));
}

void TdxGPCanvas::SetClipRegion(HRGN ARgn, TdxGPCombineMode AMode)
{
  dxGpCheck(dxGpFunctions.GdipSetClipHrgn(FHandle, ARgn, static_cast<Gdiplus::CombineMode>(AMode)));
}

void TdxGPCanvas::SetClipRegion(TdxGPRegion* ARegion, TdxGPCombineMode AMode)
{
  dxGpCheck(dxGpFunctions.GdipSetClipRegion(FHandle, ARegion->Handle(), static_cast<Gdiplus::CombineMode>(AMode)));
}

void TdxGPCanvas::SetClipPath(TdxGPPath* APath, TdxGPCombineMode AMode)
{
  dxGpCheck(dxGpFunctions.GdipSetClipPath(FHandle, APath->Handle(), static_cast<Gdiplus::CombineMode>(AMode)));
}

bool TdxGPCanvas::IsClipEmpty()
{
  BOOL result = FALSE;
  dxGpCheck(dxGpFunctions.GdipIsClipEmpty(FHandle, &result));
  return result != FALSE;
}

// ---------------------------------------------------------------------------
// World transforms

TdxGPMatrix* TdxGPCanvas::GetWorldTransform()
{
  rtl::TOwnedPtr<TdxGPMatrix> result(rtl::New<TdxGPMatrix>());
  dxGpCheck(dxGpFunctions.GdipGetWorldTransform(FHandle, result->Handle()));
  return result.release();
}

void TdxGPCanvas::SetWorldTransform(TdxGPMatrix* AMatrix)
{
  dxGpCheck(dxGpFunctions.GdipSetWorldTransform(FHandle, AMatrix->Handle()));
}

void TdxGPCanvas::ModifyWorldTransform(TdxGPMatrix* AMatrix, TdxGpMatrixOrder AOrder)
{
  dxGpCheck(dxGpFunctions.GdipMultiplyWorldTransform(FHandle, AMatrix->Handle(), AOrder));
}

void TdxGPCanvas::TranslateWorldTransform(float AOffsetX, float AOffsetY, TdxGpMatrixOrder AOrder)
{
  dxGpCheck(dxGpFunctions.GdipTranslateWorldTransform(FHandle, AOffsetX, AOffsetY, AOrder));
}

void TdxGPCanvas::RotateWorldTransform(float AAngle, TdxGpMatrixOrder AOrder)
{
  dxGpCheck(dxGpFunctions.GdipRotateWorldTransform(FHandle, AAngle, AOrder));
}

void TdxGPCanvas::RotateWorldTransform(float AAngle, const TPoint& APivotPoint, TdxGpMatrixOrder AOrder)
{
  RotateWorldTransform(AAngle, TdxPointF(APivotPoint), AOrder);
}

void TdxGPCanvas::RotateWorldTransform(float AAngle, const TdxPointF& APivotPoint, TdxGpMatrixOrder AOrder)
{
  // Prepended steps run in reverse: the sign keeps the pivot in place.
  const float sign = AOrder == MatrixOrderPrepend ? 1.0f : -1.0f;
  TranslateWorldTransform(sign * APivotPoint.X, sign * APivotPoint.Y, AOrder);
  RotateWorldTransform(AAngle, AOrder);
  TranslateWorldTransform(-sign * APivotPoint.X, -sign * APivotPoint.Y, AOrder);
}

void TdxGPCanvas::ScaleWorldTransform(float AScaleX, float AScaleY, TdxGpMatrixOrder AOrder)
{
  dxGpCheck(dxGpFunctions.GdipScaleWorldTransform(FHandle, AScaleX, AScaleY, AOrder));
}

void TdxGPCanvas::ScaleWorldTransform(float AScaleX, float AScaleY, const TdxPointF& ACenter, TdxGpMatrixOrder)
{
  rtl::TOwnedPtr<TdxGPMatrix> matrix(rtl::NewWith<TdxGPMatrix>([&](TdxGPMatrix* M) {
    M->CreateEx(AScaleX, 0, 0, AScaleY, ACenter.X - ACenter.X * AScaleX, ACenter.Y - ACenter.Y * AScaleY);
  }));
  SetWorldTransform(matrix.get());
}

void TdxGPCanvas::FlipWorldTransform(bool AFlipHorizontally, bool AFlipVertically, const TdxPointF& APivotPoint)
{
  if (!AFlipHorizontally && !AFlipVertically)
    return;
  rtl::TOwnedPtr<TdxGPMatrix> matrix(rtl::NewWith<TdxGPMatrix>(
      [&](TdxGPMatrix* M) { M->CreateFlip(AFlipHorizontally, AFlipVertically, APivotPoint); }));
  ModifyWorldTransform(matrix.get(), MatrixOrderPrepend);
}

void TdxGPCanvas::FlipWorldTransform(bool AFlipHorizontally, bool AFlipVertically, const TPoint& APivotPoint)
{
  FlipWorldTransform(AFlipHorizontally, AFlipVertically, TdxPointF(APivotPoint));
}

void TdxGPCanvas::FlipWorldTransform(bool AFlipHorizontally, bool AFlipVertically, float APivotPointX,
                                     float APivotPointY)
{
  FlipWorldTransform(AFlipHorizontally, AFlipVertically, TdxPointF(APivotPointX, APivotPointY));
}

void TdxGPCanvas::ResetWorldTransform()
{
  dxGpCheck(dxGpFunctions.GdipResetWorldTransform(FHandle));
}

void TdxGPCanvas::SaveWorldTransform()
{
  Gdiplus::GpMatrix* matrix = nullptr;
  dxGpCheck(dxGpFunctions.GdipCreateMatrix(&matrix));
  const Status status = dxGpFunctions.GdipGetWorldTransform(FHandle, matrix);
  if (status != Ok) {
    dxGpFunctions.GdipDeleteMatrix(matrix);
    dxGpCheck(status);
  }
  FSavedWorldTransforms.push_back(matrix);
}

void TdxGPCanvas::RestoreWorldTransform()
{
  if (FSavedWorldTransforms.empty())
    rtl::ListIndexError(-1);
  Gdiplus::GpMatrix* matrix = FSavedWorldTransforms.back();
  FSavedWorldTransforms.pop_back();
  const Status status = dxGpFunctions.GdipSetWorldTransform(FHandle, matrix);
  dxGpFunctions.GdipDeleteMatrix(matrix);
  dxGpCheck(status);
}

void TdxGPCanvas::TransformPoints(TdxGpCoordinateSpace ADestSpace, TdxGpCoordinateSpace ASrcSpace,
                                  std::vector<TdxPointF>& APoints)
{
  if (APoints.empty())
    throw rtl::EArgumentOutOfRangeException(L"points");
  dxGpCheck(dxGpFunctions.GdipTransformPoints(FHandle, ADestSpace, ASrcSpace,
                                              reinterpret_cast<Gdiplus::GpPointF*>(APoints.data()),
                                              static_cast<int>(APoints.size())));
}

void TdxGPCanvas::TransformPoints(TdxGpCoordinateSpace ADestSpace, TdxGpCoordinateSpace ASrcSpace,
                                  std::vector<TPoint>& APoints)
{
  if (APoints.empty())
    throw rtl::EArgumentOutOfRangeException(L"points");
  static_assert(sizeof(TPoint) == sizeof(Gdiplus::GpPoint));
  dxGpCheck(dxGpFunctions.GdipTransformPointsI(FHandle, ADestSpace, ASrcSpace,
                                               reinterpret_cast<Gdiplus::GpPoint*>(APoints.data()),
                                               static_cast<int>(APoints.size())));
}

// ---------------------------------------------------------------------------
// Shapes in alpha colours

void TdxGPCanvas::Arc(const TRect& R, float AStartAngle, float ASweepAngle, TdxAlphaColor APenColor, float APenWidth,
                      vcl::TPenStyle APenStyle)
{
  const TdxGpColorPen pen(APenColor, APenWidth, APenStyle);
  if (!pen.Handle())
    return;
  // The library counts angles clockwise.
  dxGpCheck(dxGpFunctions.GdipDrawArcI(FHandle, pen.Handle(), R.left, R.top, R.right - 1 - R.left,
                                       R.bottom - 1 - R.top, -AStartAngle, -ASweepAngle));
}

void TdxGPCanvas::Curve(std::span<const TPoint> APoints, TdxAlphaColor APenColor, float APenWidth,
                        vcl::TPenStyle APenStyle)
{
  Curve(PointsF(APoints), APenColor, APenWidth, APenStyle);
}

void TdxGPCanvas::Curve(std::span<const TdxPointF> APoints, TdxAlphaColor APenColor, float APenWidth,
                        vcl::TPenStyle APenStyle)
{
  const TdxGpColorPen pen(APenColor, APenWidth, APenStyle);
  if (pen.Handle())
    dxGpCheck(dxGpFunctions.GdipDrawCurve(FHandle, pen.Handle(), NativePoints(APoints), Count(APoints)));
}

void TdxGPCanvas::Ellipse(const TRect& R, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor, float APenWidth,
                          vcl::TPenStyle APenStyle)
{
  Ellipse(ShrunkFigure(R), APenColor, ABrushColor, APenWidth, APenStyle);
}

void TdxGPCanvas::Ellipse(const TdxRectF& R, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor, float APenWidth,
                          vcl::TPenStyle APenStyle)
{
  const Gdiplus::GpRectF r = CanvasNativeRect(R);
  const TdxGpColorBrush brush(ABrushColor);
  if (brush.Handle())
    dxGpCheck(dxGpFunctions.GdipFillEllipse(FHandle, brush.Handle(), r.X, r.Y, r.Width, r.Height));
  const TdxGpColorPen pen(APenColor, APenWidth, APenStyle);
  if (pen.Handle())
    dxGpCheck(dxGpFunctions.GdipDrawEllipse(FHandle, pen.Handle(), r.X, r.Y, r.Width, r.Height));
}

void TdxGPCanvas::Line(int X1, int Y1, int X2, int Y2, TdxAlphaColor APenColor, float APenWidth,
                       vcl::TPenStyle APenStyle)
{
  const TdxGpColorPen pen(APenColor, APenWidth, APenStyle);
  if (pen.Handle())
    dxGpCheck(dxGpFunctions.GdipDrawLineI(FHandle, pen.Handle(), X1, Y1, X2, Y2));
}

void TdxGPCanvas::Line(float X1, float Y1, float X2, float Y2, TdxAlphaColor APenColor, float APenWidth,
                       vcl::TPenStyle APenStyle)
{
  const TdxGpColorPen pen(APenColor, APenWidth, APenStyle);
  if (pen.Handle())
    dxGpCheck(dxGpFunctions.GdipDrawLine(FHandle, pen.Handle(), X1, Y1, X2, Y2));
}

void TdxGPCanvas::Path(TdxGPPath* APath, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor, float APenWidth,
                       vcl::TPenStyle APenStyle)
{
  const TdxGpColorBrush brush(ABrushColor);
  if (brush.Handle())
    dxGpCheck(dxGpFunctions.GdipFillPath(FHandle, brush.Handle(), APath->Handle()));
  const TdxGpColorPen pen(APenColor, APenWidth, APenStyle);
  if (pen.Handle())
    dxGpCheck(dxGpFunctions.GdipDrawPath(FHandle, pen.Handle(), APath->Handle()));
}

void TdxGPCanvas::Pie(const TRect& R, float AStartAngle, float ASweepAngle, TdxAlphaColor APenColor,
                      TdxAlphaColor ABrushColor, float APenWidth, vcl::TPenStyle APenStyle)
{
  Pie(ShrunkFigure(R), AStartAngle, ASweepAngle, APenColor, ABrushColor, APenWidth, APenStyle);
}

void TdxGPCanvas::Pie(const TdxRectF& R, float AStartAngle, float ASweepAngle, TdxAlphaColor APenColor,
                      TdxAlphaColor ABrushColor, float APenWidth, vcl::TPenStyle APenStyle)
{
  const Gdiplus::GpRectF r = CanvasNativeRect(R);
  const TdxGpColorBrush brush(ABrushColor);
  if (brush.Handle())
    dxGpCheck(dxGpFunctions.GdipFillPie(FHandle, brush.Handle(), r.X, r.Y, r.Width, r.Height, -AStartAngle,
                                        -ASweepAngle));
  const TdxGpColorPen pen(APenColor, APenWidth, APenStyle);
  if (pen.Handle())
    dxGpCheck(dxGpFunctions.GdipDrawPie(FHandle, pen.Handle(), r.X, r.Y, r.Width, r.Height, -AStartAngle,
                                        -ASweepAngle));
}

void TdxGPCanvas::Polygon(std::span<const TPoint> APoints, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor,
                          float APenWidth, vcl::TPenStyle APenStyle)
{
  if (APenStyle < psSolid || APenStyle > psDashDotDot)
    APenColor = 0;
  Polygon(PointsF(APoints), APenColor, ABrushColor, APenWidth,
          static_cast<TdxGPPenStyle>(std::clamp<int>(APenStyle, psSolid, psDashDotDot)));
}

void TdxGPCanvas::Polygon(std::span<const TdxPointF> APoints, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor,
                          float APenWidth, TdxGPPenStyle APenStyle)
{
  const TdxGpColorBrush brush(ABrushColor);
  if (brush.Handle())
    dxGpCheck(dxGpFunctions.GdipFillPolygon(FHandle, brush.Handle(), NativePoints(APoints), Count(APoints),
                                            Gdiplus::FillModeWinding));
  const TdxGpColorPen pen(APenColor, APenWidth, static_cast<Gdiplus::DashStyle>(APenStyle));
  if (pen.Handle())
    dxGpCheck(dxGpFunctions.GdipDrawPolygon(FHandle, pen.Handle(), NativePoints(APoints), Count(APoints)));
}

void TdxGPCanvas::Polyline(std::span<const TPoint> APoints, TdxAlphaColor APenColor, float APenWidth,
                           vcl::TPenStyle APenStyle)
{
  Polyline(PointsF(APoints), APenColor, APenWidth, APenStyle);
}

void TdxGPCanvas::Polyline(std::span<const TdxPointF> APoints, TdxAlphaColor APenColor, float APenWidth,
                           vcl::TPenStyle APenStyle)
{
  const TdxGpColorPen pen(APenColor, APenWidth, APenStyle);
  if (pen.Handle())
    dxGpCheck(dxGpFunctions.GdipDrawLines(FHandle, pen.Handle(), NativePoints(APoints), Count(APoints)));
}

void TdxGPCanvas::Rectangle(const TRect& R, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor, float APenWidth,
                            vcl::TPenStyle APenStyle)
{
  Rectangle(ShrunkFigure(R), APenColor, ABrushColor, APenWidth, APenStyle);
}

void TdxGPCanvas::Rectangle(const TdxRectF& R, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor, float APenWidth,
                            vcl::TPenStyle APenStyle)
{
  const Gdiplus::GpRectF r = CanvasNativeRect(R);
  const TdxGpColorBrush brush(ABrushColor);
  if (brush.Handle())
    dxGpCheck(dxGpFunctions.GdipFillRectangle(FHandle, brush.Handle(), r.X, r.Y, r.Width, r.Height));
  const TdxGpColorPen pen(APenColor, APenWidth, APenStyle);
  if (pen.Handle())
    dxGpCheck(dxGpFunctions.GdipDrawRectangle(FHandle, pen.Handle(), r.X, r.Y, r.Width, r.Height));
}

void TdxGPCanvas::RoundRect(const TRect& R, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor, int ARadiusX,
                            int ARadiusY, float APenWidth)
{
  rtl::TOwnedPtr<TdxGPPath> path(rtl::New<TdxGPPath>());
  path->AddRoundRect(ShrunkFigure(R), static_cast<float>(ARadiusX), static_cast<float>(ARadiusY));
  Path(path.get(), APenColor, ABrushColor, APenWidth, psSolid);
}

void TdxGPCanvas::Region(TdxGPRegion* ARegion, TdxAlphaColor, TdxAlphaColor ABrushColor, float, vcl::TPenStyle)
{
  const TdxGpColorBrush brush(ABrushColor);
  if (brush.Handle())
    dxGpCheck(dxGpFunctions.GdipFillRegion(FHandle, brush.Handle(), ARegion->Handle()));
}

void TdxGPCanvas::FillRectangle(const TRect& R, TdxAlphaColor ABrushColor)
{
  FillRectangle(TdxRectF(R), ABrushColor);
}

void TdxGPCanvas::FillRectangle(const TdxRectF& R, TdxAlphaColor ABrushColor)
{
  const TdxGpColorBrush brush(ABrushColor);
  if (brush.Handle())
    dxGpCheck(dxGpFunctions.GdipFillRectangle(FHandle, brush.Handle(), R.Left, R.Top, R.Right - R.Left,
                                              R.Bottom - R.Top));
}

void TdxGPCanvas::FillRectangleByGradient(const TRect& R, TdxAlphaColor AColor1, TdxAlphaColor AColor2,
                                          Gdiplus::LinearGradientMode AMode)
{
  if (AColor1 == AColor2 || AColor2 == TdxAlphaColorDefault) {
    FillRectangle(R, AColor1);
    return;
  }
  const Gdiplus::GpRectF area{static_cast<float>(R.left - 1), static_cast<float>(R.top - 1),
                              static_cast<float>(R.right - R.left + 2), static_cast<float>(R.bottom - R.top + 2)};
  Gdiplus::GpLineGradient* brush = nullptr;
  dxGpCheck(dxGpFunctions.GdipCreateLineBrushFromRect(&area, AColor1, AColor2, AMode, Gdiplus::WrapModeTile, &brush));
  const Status status =
      dxGpFunctions.GdipFillRectangleI(FHandle, brush, R.left, R.top, R.right - R.left, R.bottom - R.top);
  dxGpFunctions.GdipDeleteBrush(brush);
  dxGpCheck(status);
}

// ---------------------------------------------------------------------------
// Shapes with pen and brush objects

void TdxGPCanvas::Ellipse(const TRect& R, TdxGPPen* APen, TdxGPCustomBrush* ABrush)
{
  Ellipse(ShrunkFigure(R), APen, ABrush);
}

void TdxGPCanvas::Ellipse(const TdxRectF& R, TdxGPPen* APen, TdxGPCustomBrush* ABrush)
{
  const Gdiplus::GpRectF r = CanvasNativeRect(R);
  if (ABrush) {
    ABrush->SetTargetRect(R);
    dxGpCheck(dxGpFunctions.GdipFillEllipse(FHandle, ABrush->Handle(), r.X, r.Y, r.Width, r.Height));
  }
  if (APen) {
    APen->SetTargetRect(R);
    dxGpCheck(dxGpFunctions.GdipDrawEllipse(FHandle, APen->Handle(), r.X, r.Y, r.Width, r.Height));
  }
}

void TdxGPCanvas::Rectangle(const TRect& R, TdxGPPen* APen, TdxGPCustomBrush* ABrush)
{
  Rectangle(ShrunkFigure(R), APen, ABrush);
}

void TdxGPCanvas::Rectangle(const TdxRectF& R, TdxGPPen* APen, TdxGPCustomBrush* ABrush)
{
  const Gdiplus::GpRectF r = CanvasNativeRect(R);
  if (ABrush) {
    ABrush->SetTargetRect(R);
    dxGpCheck(dxGpFunctions.GdipFillRectangle(FHandle, ABrush->Handle(), r.X, r.Y, r.Width, r.Height));
  }
  if (APen) {
    APen->SetTargetRect(R);
    dxGpCheck(dxGpFunctions.GdipDrawRectangle(FHandle, APen->Handle(), r.X, r.Y, r.Width, r.Height));
  }
}

void TdxGPCanvas::Polygon(std::span<const TPoint> APoints, TdxGPPen* APen, TdxGPCustomBrush* ABrush)
{
  Polygon(PointsF(APoints), APen, ABrush);
}

void TdxGPCanvas::Polygon(std::span<const TdxPointF> APoints, TdxGPPen* APen, TdxGPCustomBrush* ABrush)
{
  const TdxRectF bounds = BoundsOf(APoints);
  if (ABrush) {
    ABrush->SetTargetRect(bounds);
    dxGpCheck(dxGpFunctions.GdipFillPolygon(FHandle, ABrush->Handle(), NativePoints(APoints), Count(APoints),
                                            Gdiplus::FillModeWinding));
  }
  if (APen) {
    APen->SetTargetRect(bounds);
    dxGpCheck(dxGpFunctions.GdipDrawPolygon(FHandle, APen->Handle(), NativePoints(APoints), Count(APoints)));
  }
}

void TdxGPCanvas::Polyline(std::span<const TPoint> APoints, TdxGPPen* APen)
{
  Polyline(PointsF(APoints), APen);
}

void TdxGPCanvas::Polyline(std::span<const TdxPointF> APoints, TdxGPPen* APen)
{
  if (!APen || APen->IsEmpty())
    return;
  APen->SetTargetRect(BoundsOf(APoints));
  dxGpCheck(dxGpFunctions.GdipDrawLines(FHandle, APen->Handle(), NativePoints(APoints), Count(APoints)));
}

void TdxGPCanvas::Path(TdxGPPath* APath, TdxGPPen* APen, TdxGPCustomBrush* ABrush)
{
  const bool withPen = APen && !APen->IsEmpty();
  if (!ABrush && !withPen)
    return;
  const TdxRectF bounds = APath->GetBoundsF();
  if (ABrush) {
    ABrush->SetTargetRect(bounds);
    dxGpCheck(dxGpFunctions.GdipFillPath(FHandle, ABrush->Handle(), APath->Handle()));
  }
  if (withPen) {
    APen->SetTargetRect(bounds);
    dxGpCheck(dxGpFunctions.GdipDrawPath(FHandle, APen->Handle(), APath->Handle()));
  }
}

void TdxGPCanvas::RoundRect(const TRect& R, TdxGPPen* APen, TdxGPCustomBrush* ABrush, int ARadiusX, int ARadiusY)
{
  rtl::TOwnedPtr<TdxGPPath> path(rtl::New<TdxGPPath>());
  path->AddRoundRect(ShrunkFigure(R), static_cast<float>(ARadiusX), static_cast<float>(ARadiusY));
  Path(path.get(), APen, ABrush);
}

void TdxGPCanvas::Line(int X1, int Y1, int X2, int Y2, TdxGPPen* APen)
{
  if (APen)
    dxGpCheck(dxGpFunctions.GdipDrawLineI(FHandle, APen->Handle(), X1, Y1, X2, Y2));
}

void TdxGPCanvas::Line(float X1, float Y1, float X2, float Y2, TdxGPPen* APen)
{
  if (APen)
    dxGpCheck(dxGpFunctions.GdipDrawLine(FHandle, APen->Handle(), X1, Y1, X2, Y2));
}

void TdxGPCanvas::FillRectangle(const TRect& R, TdxGPCustomBrush* ABrush)
{
  FillRectangle(TdxRectF(R), ABrush);
}

void TdxGPCanvas::FillRectangle(const TdxRectF& R, TdxGPCustomBrush* ABrush)
{
  ABrush->SetTargetRect(R);
  dxGpCheck(dxGpFunctions.GdipFillRectangle(FHandle, ABrush->Handle(), R.Left, R.Top, R.Right - R.Left,
                                            R.Bottom - R.Top));
}

// ---------------------------------------------------------------------------
// Text

namespace {

[[noreturn]] void RaiseInvalidParameter()
{
  throw EdxGdipException(InvalidParameter);
}

Gdiplus::GpStringFormat* FormatOf(TdxGPStringFormat* AFormat)
{
  return AFormat ? AFormat->Handle() : nullptr;
}

}  // namespace

void TdxGPCanvas::DrawString(const rtl::String& S, TdxGPFont* AFont, TdxGPCustomBrush* ABrush, float X, float Y)
{
  DrawString(S, AFont, ABrush, TdxRectF(X, Y, X, Y), nullptr);
}

void TdxGPCanvas::DrawString(const rtl::String& S, TdxGPFont* AFont, TdxGPCustomBrush* ABrush, float X, float Y,
                             TdxGPStringFormat* AFormat)
{
  DrawString(S, AFont, ABrush, TdxRectF(X, Y, X, Y), AFormat);
}

void TdxGPCanvas::DrawString(const rtl::String& S, TdxGPFont* AFont, TdxGPCustomBrush* ABrush,
                             const TdxPointF& AOrigin)
{
  DrawString(S, AFont, ABrush, AOrigin.X, AOrigin.Y);
}

void TdxGPCanvas::DrawString(const rtl::String& S, TdxGPFont* AFont, TdxGPCustomBrush* ABrush,
                             const TdxPointF& AOrigin, TdxGPStringFormat* AFormat)
{
  DrawString(S, AFont, ABrush, AOrigin.X, AOrigin.Y, AFormat);
}

void TdxGPCanvas::DrawString(const rtl::String& S, TdxGPFont* AFont, TdxGPCustomBrush* ABrush, const TdxRectF& ARect)
{
  if (!ABrush || !AFont)
    RaiseInvalidParameter();
  if (ARect.Right <= ARect.Left || ARect.Bottom <= ARect.Top)
    return;
  DrawString(S, AFont, ABrush, ARect, nullptr);
}

void TdxGPCanvas::DrawString(const rtl::String& S, TdxGPFont* AFont, TdxGPCustomBrush* ABrush, const TdxRectF& ARect,
                             TdxGPStringFormat* AFormat)
{
  if (!ABrush || !AFont)
    RaiseInvalidParameter();
  if (S.empty())
    return;
  const Gdiplus::GpRectF layout = CanvasNativeRect(ARect);
  dxGpCheck(dxGpFunctions.GdipDrawString(FHandle, S.c_str(), static_cast<int>(S.size()), AFont->Handle(), &layout,
                                         FormatOf(AFormat), ABrush->Handle()));
}

TdxSizeF TdxGPCanvas::MeasureString(const rtl::String& AText, TdxGPFont* AFont, const TdxSizeF& ALayoutArea,
                                    TdxGPStringFormat* AStringFormat, int& ACharactersFitted, int& ALinesFilled)
{
  ACharactersFitted = 0;
  ALinesFilled = 0;
  if (AText.empty())
    return TdxSizeF{0, 0};
  if (!AFont)
    RaiseInvalidParameter();
  const Gdiplus::GpRectF layout{0, 0, ALayoutArea.cx, ALayoutArea.cy};
  Gdiplus::GpRectF bounds{};
  dxGpCheck(dxGpFunctions.GdipMeasureString(FHandle, AText.c_str(), static_cast<int>(AText.size()), AFont->Handle(),
                                            &layout, FormatOf(AStringFormat), &bounds, &ACharactersFitted,
                                            &ALinesFilled));
  return TdxSizeF{bounds.Width, bounds.Height};
}

TdxSizeF TdxGPCanvas::MeasureString(const rtl::String& AText, TdxGPFont* AFont, const TdxPointF& AOrigin,
                                    TdxGPStringFormat* AStringFormat)
{
  if (AText.empty())
    return TdxSizeF{0, 0};
  if (!AFont)
    RaiseInvalidParameter();
  const Gdiplus::GpRectF layout{AOrigin.X, AOrigin.Y, 0, 0};
  Gdiplus::GpRectF bounds{};
  dxGpCheck(dxGpFunctions.GdipMeasureString(FHandle, AText.c_str(), static_cast<int>(AText.size()), AFont->Handle(),
                                            &layout, FormatOf(AStringFormat), &bounds, nullptr, nullptr));
  return TdxSizeF{bounds.Width, bounds.Height};
}

TdxSizeF TdxGPCanvas::MeasureString(const rtl::String& AText, TdxGPFont* AFont, const TdxSizeF& ALayoutArea)
{
  return MeasureString(AText, AFont, ALayoutArea, nullptr);
}

TdxSizeF TdxGPCanvas::MeasureString(const rtl::String& AText, TdxGPFont* AFont, const TdxSizeF& ALayoutArea,
                                    TdxGPStringFormat* AStringFormat)
{
  int fitted, lines;
  return MeasureString(AText, AFont, ALayoutArea, AStringFormat, fitted, lines);
}

TdxSizeF TdxGPCanvas::MeasureString(const rtl::String& AText, TdxGPFont* AFont)
{
  return MeasureString(AText, AFont, TdxSizeF{0, 0});
}

TdxSizeF TdxGPCanvas::MeasureString(const rtl::String& AText, TdxGPFont* AFont, double AWidth)
{
  return MeasureString(AText, AFont, AWidth, nullptr);
}

TdxSizeF TdxGPCanvas::MeasureString(const rtl::String& AText, TdxGPFont* AFont, double AWidth,
                                    TdxGPStringFormat* AFormat)
{
  return MeasureString(AText, AFont, TdxSizeF{static_cast<float>(AWidth), 999999}, AFormat);
}

std::vector<TdxGPRegion*> TdxGPCanvas::MeasureCharacterRanges(const rtl::String& AText, TdxGPFont* AFont,
                                                              const TdxRectF& ALayoutRect,
                                                              TdxGPStringFormat* AStringFormat)
{
  if (AText.empty())
    return {};
  if (!AFont)
    RaiseInvalidParameter();
  int count = 0;
  dxGpCheck(dxGpFunctions.GdipGetStringFormatMeasurableCharacterRangeCount(FormatOf(AStringFormat), &count));
  std::vector<rtl::TOwnedPtr<TdxGPRegion>> regions;
  std::vector<Gdiplus::GpRegion*> handles;
  for (int i = 0; i < count; ++i) {
    regions.emplace_back(rtl::New<TdxGPRegion>());
    handles.push_back(regions.back()->Handle());
  }
  const Gdiplus::GpRectF layout = CanvasNativeRect(ALayoutRect);
  dxGpCheck(dxGpFunctions.GdipMeasureCharacterRanges(FHandle, AText.c_str(), static_cast<int>(AText.size()),
                                                     AFont->Handle(), layout, FormatOf(AStringFormat), count,
                                                     handles.data()));
  std::vector<TdxGPRegion*> result;
  for (auto& region : regions)
    result.push_back(region.release());
  return result;
}

// ---------------------------------------------------------------------------
// Drawing native images

namespace {

// Image attributes that scale alpha, for one draw; none for 255.
class TdxGpAlphaAttributes {
 public:
  explicit TdxGpAlphaAttributes(BYTE AAlpha)
  {
    if (AAlpha == 255)
      return;
    dxGpCheck(dxGpFunctions.GdipCreateImageAttributes(&FHandle));
    Gdiplus::ColorMatrix matrix{};
    for (int i = 0; i < 5; ++i)
      matrix.m[i][i] = 1;
    matrix.m[3][3] = AAlpha / 255.0f;
    dxGpCheck(dxGpFunctions.GdipSetImageAttributesColorMatrix(FHandle, Gdiplus::ColorAdjustTypeDefault, TRUE, &matrix,
                                                              nullptr, Gdiplus::ColorMatrixFlagsDefault));
  }
  ~TdxGpAlphaAttributes()
  {
    if (FHandle)
      dxGpFunctions.GdipDisposeImageAttributes(FHandle);
  }
  TdxGpAlphaAttributes(const TdxGpAlphaAttributes&) = delete;
  TdxGpAlphaAttributes& operator=(const TdxGpAlphaAttributes&) = delete;
  Gdiplus::GpImageAttributes* Handle() const { return FHandle; }

 private:
  Gdiplus::GpImageAttributes* FHandle = nullptr;
};

bool IsMetafile(Gdiplus::GpImage* AImage)
{
  Gdiplus::ImageType type = Gdiplus::ImageTypeUnknown;
  dxGpCheck(dxGpFunctions.GdipGetImageType(AImage, &type));
  return type == Gdiplus::ImageTypeMetafile;
}

// Restores the saved clip when the draw is done, however it ends.
class TdxGpClipGuard {
 public:
  explicit TdxGpClipGuard(Gdiplus::GpGraphics* AGraphics) : FGraphics(AGraphics)
  {
    dxGpCheck(dxGpFunctions.GdipCreateRegion(&FRegion));
    dxGpFunctions.GdipGetClip(FGraphics, FRegion);
  }
  ~TdxGpClipGuard()
  {
    dxGpFunctions.GdipSetClipRegion(FGraphics, FRegion, Gdiplus::CombineModeReplace);
    dxGpFunctions.GdipDeleteRegion(FRegion);
  }
  TdxGpClipGuard(const TdxGpClipGuard&) = delete;
  TdxGpClipGuard& operator=(const TdxGpClipGuard&) = delete;

 private:
  Gdiplus::GpGraphics* FGraphics;
  Gdiplus::GpRegion* FRegion = nullptr;
};

}  // namespace

void dxGpDrawImage(Gdiplus::GpGraphics* AGraphics, const TdxRectF& ADestRect, const TdxRectF& ASourceRect,
                   Gdiplus::GpImageAttributes* AAttributes, BYTE AAlpha, Gdiplus::GpImage* AImage)
{
  float destWidth = ADestRect.Right - ADestRect.Left;
  float destHeight = ADestRect.Bottom - ADestRect.Top;
  BOOL visible = FALSE;
  dxGpCheck(dxGpFunctions.GdipIsVisibleRect(AGraphics, ADestRect.Left, ADestRect.Top, destWidth, destHeight,
                                            &visible));
  float sourceWidth = ASourceRect.Right - ASourceRect.Left;
  float sourceHeight = ASourceRect.Bottom - ASourceRect.Top;
  if (!visible || sourceWidth < 1 || sourceHeight < 1 || destWidth < 1 || destHeight < 1)
    return;
  std::optional<TdxGpClipGuard> clip;
  if (IsMetafile(AImage)) {
    if (destWidth < 2 || destHeight < 2) {
      clip.emplace(AGraphics);
      dxGpCheck(dxGpFunctions.GdipSetClipRect(AGraphics, ADestRect.Left, ADestRect.Top, destWidth, destHeight,
                                              Gdiplus::CombineModeIntersect));
      destWidth = std::max(destWidth, 2.0f);
      destHeight = std::max(destHeight, 2.0f);
    }
  } else {
    Gdiplus::PixelOffsetMode mode = Gdiplus::PixelOffsetModeDefault;
    dxGpCheck(dxGpFunctions.GdipGetPixelOffsetMode(AGraphics, &mode));
    if (mode != Gdiplus::PixelOffsetModeHalf) {
      if (sourceWidth > 1 && sourceWidth < destWidth)
        sourceWidth -= 1;
      if (sourceHeight > 1 && sourceHeight < destHeight)
        sourceHeight -= 1;
    }
  }
  std::optional<TdxGpAlphaAttributes> alpha;
  if (!AAttributes && AAlpha != 255) {
    alpha.emplace(AAlpha);
    AAttributes = alpha->Handle();
  }
  dxGpCheck(dxGpFunctions.GdipDrawImageRectRect(AGraphics, AImage, ADestRect.Left, ADestRect.Top, destWidth,
                                                destHeight, ASourceRect.Left, ASourceRect.Top, sourceWidth,
                                                sourceHeight, Gdiplus::UnitPixel, AAttributes, nullptr, nullptr));
}

void dxGpDrawImage(Gdiplus::GpGraphics* AGraphics, const TRect& ADestRect, const TRect& ASourceRect,
                   Gdiplus::GpImageAttributes* AAttributes, BYTE AAlpha, Gdiplus::GpImage* AImage)
{
  dxGpDrawImage(AGraphics, TdxRectF(ADestRect), TdxRectF(ASourceRect), AAttributes, AAlpha, AImage);
}

namespace {

// Fills a bitmap of the destination's size with the texture and draws it;
// false when the library cannot make the texture.
bool TileByTexture(Gdiplus::GpGraphics* AGraphics, const TRect& ADestRect, const TRect& ASourceRect,
                   Gdiplus::GpImage* AImage)
{
  Gdiplus::GpTexture* texture = nullptr;
  if (dxGpFunctions.GdipCreateTexture2I(AImage, Gdiplus::WrapModeTile, ASourceRect.left, ASourceRect.top,
                                        ASourceRect.right - ASourceRect.left, ASourceRect.bottom - ASourceRect.top,
                                        &texture) != Ok)
    return false;
  const int width = ADestRect.right - ADestRect.left;
  const int height = ADestRect.bottom - ADestRect.top;
  Gdiplus::GpBitmap* bitmap = nullptr;
  Gdiplus::GpGraphics* graphics = nullptr;
  Status status = dxGpFunctions.GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppPARGB, nullptr, &bitmap);
  if (status == Ok)
    status = dxGpFunctions.GdipGetImageGraphicsContext(bitmap, &graphics);
  if (status == Ok)
    status = dxGpFunctions.GdipFillRectangleI(graphics, texture, 0, 0, width, height);
  if (graphics)
    dxGpFunctions.GdipDeleteGraphics(graphics);
  if (status == Ok)
    status = dxGpFunctions.GdipDrawImageRectI(AGraphics, bitmap, ADestRect.left, ADestRect.top, width, height);
  if (bitmap)
    dxGpFunctions.GdipDisposeImage(bitmap);
  dxGpFunctions.GdipDeleteBrush(texture);
  dxGpCheck(status);
  return true;
}

void TileByHand(Gdiplus::GpGraphics* AGraphics, const TRect& ADestRect, const TRect& ASourceRect, BYTE AAlpha,
                Gdiplus::GpImage* AImage)
{
  const int w = ASourceRect.right - ASourceRect.left;
  const int h = ASourceRect.bottom - ASourceRect.top;
  const int destWidth = ADestRect.right - ADestRect.left;
  const int destHeight = ADestRect.bottom - ADestRect.top;
  if (destWidth <= 0 || destHeight <= 0)
    return;
  const int rows = (destHeight + h - 1) / h;
  const int columns = (destWidth + w - 1) / w;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c) {
      TRect dest{ADestRect.left + c * w, ADestRect.top + r * h, ADestRect.left + (c + 1) * w,
                 ADestRect.top + (r + 1) * h};
      TRect source = ASourceRect;
      if (dest.right > ADestRect.right) {
        source.right -= dest.right - ADestRect.right;
        dest.right = ADestRect.right;
      }
      if (dest.bottom > ADestRect.bottom) {
        source.bottom -= dest.bottom - ADestRect.bottom;
        dest.bottom = ADestRect.bottom;
      }
      dxGpDrawImage(AGraphics, dest, source, nullptr, AAlpha, AImage);
    }
}

}  // namespace

void dxGpTileImage(Gdiplus::GpGraphics* AGraphics, const TRect& ADestRect, const TRect& ASourceRect, BYTE AAlpha,
                   Gdiplus::GpImage* AImage)
{
  const int sourceWidth = ASourceRect.right - ASourceRect.left;
  const int sourceHeight = ASourceRect.bottom - ASourceRect.top;
  if (sourceWidth <= 0 || sourceHeight <= 0)
    return;
  BOOL visible = FALSE;
  dxGpCheck(dxGpFunctions.GdipIsVisibleRectI(AGraphics, ADestRect.left, ADestRect.top,
                                             ADestRect.right - ADestRect.left, ADestRect.bottom - ADestRect.top,
                                             &visible));
  if (!visible)
    return;
  const bool enlarged =
      ADestRect.right - ADestRect.left > sourceWidth || ADestRect.bottom - ADestRect.top > sourceHeight;
  if (AAlpha == 255 && enlarged && TileByTexture(AGraphics, ADestRect, ASourceRect, AImage))
    return;
  TileByHand(AGraphics, ADestRect, ASourceRect, AAlpha, AImage);
}
