#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "graphics/dxGDIPlusClasses.h"
#include "platform/rtl/Classes.h"

using enum vcl::TPenStyle;

namespace {

using rtl::TOwnedPtr;

// A canvas over a 32-bit premultiplied bitmap cleared to transparent;
// pixels read back as $AARRGGBB.
class TGpCanvasTestSurface {
 public:
  TGpCanvasTestSurface(int AWidth, int AHeight)
  {
    FBitmap = dxGpCreateBitmap(AWidth, AHeight);
    Gdiplus::GpGraphics* graphics = nullptr;
    dxGpCheck(dxGpFunctions.GdipGetImageGraphicsContext(FBitmap, &graphics));
    FCanvas.reset(rtl::New<TdxGPCanvas>(graphics));
    dxGpCheck(dxGpFunctions.GdipGraphicsClear(graphics, 0));
  }
  ~TGpCanvasTestSurface()
  {
    FCanvas.reset();
    dxGpFunctions.GdipDisposeImage(FBitmap);
  }
  TGpCanvasTestSurface(const TGpCanvasTestSurface&) = delete;
  TGpCanvasTestSurface& operator=(const TGpCanvasTestSurface&) = delete;

  TdxGPCanvas* Canvas() const { return FCanvas.get(); }
  void Clear() { dxGpCheck(dxGpFunctions.GdipGraphicsClear(FCanvas->Handle(), 0)); }
  TdxAlphaColor Pixel(int X, int Y) const
  {
    dxGpFunctions.GdipFlush(FCanvas->Handle(), Gdiplus::FlushIntentionSync);
    Gdiplus::ARGB color = 0;
    dxGpCheck(dxGpFunctions.GdipBitmapGetPixel(FBitmap, X, Y, &color));
    return color;
  }
  // Whether anything at all was drawn in the rectangle.
  bool AnyIn(const TRect& R) const
  {
    for (int y = R.top; y < R.bottom; ++y)
      for (int x = R.left; x < R.right; ++x)
        if (Pixel(x, y) != 0)
          return true;
    return false;
  }

 private:
  Gdiplus::GpBitmap* FBitmap = nullptr;
  TOwnedPtr<TdxGPCanvas> FCanvas;
};

constexpr TdxAlphaColor GPCanvasRed = 0xFFFF0000;
constexpr TdxAlphaColor GPCanvasBlue = 0xFF0000FF;
constexpr TdxAlphaColor None = 0;

class dxGPCanvas : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dxGpIsAvailable()); }
};

// --------------------------------------------------------------------------
// Colour shapes

TEST_F(dxGPCanvas, IntegerRectanglesLoseTheirLastRowAndColumn)
{
  TGpCanvasTestSurface surface(20, 20);
  TdxGPCanvas* canvas = surface.Canvas();
  canvas->Rectangle(TRect{0, 0, 10, 10}, None, GPCanvasRed);
  EXPECT_EQ(surface.Pixel(8, 8), GPCanvasRed);
  EXPECT_EQ(surface.Pixel(9, 5), 0u);
  canvas->Rectangle(TRect{0, 0, 10, 10}, GPCanvasBlue, None);
  EXPECT_EQ(surface.Pixel(9, 5), GPCanvasBlue);
  EXPECT_EQ(surface.Pixel(10, 5), 0u);
  surface.Clear();
  canvas->FillRectangle(TRect{0, 0, 10, 10}, GPCanvasRed);
  EXPECT_EQ(surface.Pixel(9, 9), GPCanvasRed);
  EXPECT_EQ(surface.Pixel(10, 9), 0u);
  // The platform-colour form converts with the alphas.
  surface.Clear();
  canvas->Rectangle(TRect{0, 0, 10, 10}, vcl::clNone, vcl::clBlue, 1.0f, psSolid, 255, 255);
  EXPECT_EQ(surface.Pixel(5, 5), GPCanvasBlue);
}

TEST_F(dxGPCanvas, FillsAndOutlinesAreMadeOnlyForVisibleColoursAndPens)
{
  struct Case {
    const char* What;
    TdxAlphaColor Pen;
    TdxAlphaColor Brush;
    vcl::TPenStyle Style;
    float Width;
    bool Centre;
    bool Edge;
  };
  const Case cases[] = {
      {"outline only", GPCanvasBlue, None, psSolid, 1, false, true},
      {"fill only (clear pen)", GPCanvasBlue, GPCanvasRed, psClear, 1, true, false},
      {"fill only (zero width)", GPCanvasBlue, GPCanvasRed, psSolid, 0, true, false},
      {"transparent white", TdxAlphaColorTransparentWhite, TdxAlphaColorTransparentWhite, psSolid, 1, false,
       false},
      {"default marker fills transparently", None, TdxAlphaColorDefault, psSolid, 1, false, false},
      {"red with alpha 0 draws nothing visible", 0x00FF0000, None, psSolid, 3, false, false},
      {"both", GPCanvasBlue, GPCanvasRed, psSolid, 1, true, true},
  };
  TGpCanvasTestSurface surface(30, 30);
  for (const Case& c : cases) {
    surface.Clear();
    surface.Canvas()->Ellipse(TRect{0, 0, 21, 21}, c.Pen, c.Brush, c.Width, c.Style);
    EXPECT_EQ(surface.Pixel(10, 10) != 0, c.Centre) << c.What;
    EXPECT_EQ(surface.AnyIn(TRect{20, 9, 21, 12}), c.Edge) << c.What;
  }
}

TEST_F(dxGPCanvas, ArcAnglesCountCounterClockwise)
{
  TGpCanvasTestSurface surface(30, 30);
  surface.Canvas()->Arc(TRect{0, 0, 21, 21}, 0, 90, GPCanvasRed, 3);
  EXPECT_TRUE(surface.AnyIn(TRect{15, 1, 19, 5}));
  EXPECT_FALSE(surface.AnyIn(TRect{15, 15, 19, 19}));
  EXPECT_FALSE(surface.AnyIn(TRect{1, 1, 5, 5}));
  surface.Clear();
  surface.Canvas()->Pie(TRect{0, 0, 21, 21}, 90, 90, None, GPCanvasRed);
  EXPECT_EQ(surface.Pixel(6, 6), GPCanvasRed);
  EXPECT_EQ(surface.Pixel(14, 6), 0u);
}

TEST_F(dxGPCanvas, LinesPolygonsCurvesPathsAndRegions)
{
  TGpCanvasTestSurface surface(40, 40);
  TdxGPCanvas* canvas = surface.Canvas();
  canvas->Line(0, 5, 39, 5, GPCanvasRed);
  EXPECT_EQ(surface.Pixel(20, 5), GPCanvasRed);
  canvas->Line(0.0f, 7.0f, 39.0f, 7.0f, GPCanvasBlue, 1.0f, psDot);
  EXPECT_TRUE(surface.AnyIn(TRect{0, 7, 40, 8}));
  EXPECT_FALSE(surface.AnyIn(TRect{0, 8, 40, 9}));

  surface.Clear();
  // Winding fill: the overlap of a self-crossing star stays filled.
  const TPoint square[] = {{10, 10}, {30, 10}, {30, 30}, {10, 30}};
  canvas->Polygon(square, None, GPCanvasRed);
  EXPECT_EQ(surface.Pixel(20, 20), GPCanvasRed);
  const TdxPointF squareF[] = {{10, 10}, {30, 10}, {30, 30}, {10, 30}};
  canvas->Polygon(squareF, GPCanvasBlue, None, 1, gppsSolid);
  EXPECT_EQ(surface.Pixel(30, 20), GPCanvasBlue);
  canvas->Polyline(std::span<const TPoint>(square), GPCanvasRed, 1);
  EXPECT_EQ(surface.Pixel(30, 20), GPCanvasRed);
  canvas->Curve(std::span<const TPoint>(square), GPCanvasBlue, 1);
  EXPECT_TRUE(surface.AnyIn(TRect{19, 9, 22, 12}));

  surface.Clear();
  rtl::TOwnedPtr<TdxGPRegion> region(rtl::New<TdxGPRegion>(TRect{5, 5, 10, 10}));
  canvas->Region(region.get(), GPCanvasBlue, GPCanvasRed, 5);
  EXPECT_EQ(surface.Pixel(5, 5), GPCanvasRed);
  EXPECT_EQ(surface.Pixel(10, 10), 0u);
  canvas->RoundRect(TRect{20, 20, 40, 40}, GPCanvasBlue, GPCanvasRed, 6, 6);
  EXPECT_EQ(surface.Pixel(30, 30), GPCanvasRed);
  EXPECT_EQ(surface.Pixel(20, 20), 0u);
}

TEST_F(dxGPCanvas, GradientFillFallsBackToSolidForEqualOrDefaultColours)
{
  TGpCanvasTestSurface surface(50, 4);
  TdxGPCanvas* canvas = surface.Canvas();
  struct Case {
    TdxAlphaColor Color2;
    TdxAlphaColor Left;
    TdxAlphaColor Right;
  };
  for (const Case& c : {Case{GPCanvasRed, GPCanvasRed, GPCanvasRed}, Case{TdxAlphaColorDefault, GPCanvasRed, GPCanvasRed}}) {
    surface.Clear();
    canvas->FillRectangleByGradient(TRect{0, 0, 50, 4}, GPCanvasRed, c.Color2, Gdiplus::LinearGradientModeHorizontal);
    EXPECT_EQ(surface.Pixel(0, 1), c.Left);
    EXPECT_EQ(surface.Pixel(49, 1), c.Right);
  }
  canvas->FillRectangleByGradient(TRect{0, 0, 50, 4}, GPCanvasRed, GPCanvasBlue, Gdiplus::LinearGradientModeHorizontal);
  const TdxAlphaColorBytes left = dxAlphaColorToBytes(surface.Pixel(0, 1));
  const TdxAlphaColorBytes right = dxAlphaColorToBytes(surface.Pixel(49, 1));
  EXPECT_GT(left.R, 0xE0);
  EXPECT_GT(right.B, 0xE0);
  // No refusal of transparent colours here: a fade to nothing.
  surface.Clear();
  canvas->FillRectangleByGradient(TRect{0, 0, 50, 4}, GPCanvasRed, 0, Gdiplus::LinearGradientModeHorizontal);
  EXPECT_GT(dxGetAlpha(surface.Pixel(0, 1)), 0xE0);
  EXPECT_LT(dxGetAlpha(surface.Pixel(49, 1)), 0x20);
}

TEST_F(dxGPCanvas, ClearUsesOpaqueColoursAndClNoneForTransparent)
{
  TGpCanvasTestSurface surface(4, 4);
  surface.Canvas()->Clear(vcl::clRed);
  EXPECT_EQ(surface.Pixel(1, 1), GPCanvasRed);
  surface.Canvas()->Clear(vcl::clNone);
  EXPECT_EQ(surface.Pixel(1, 1), 0u);
}

// --------------------------------------------------------------------------
// Clip and transform stacks

TEST_F(dxGPCanvas, ClipStackRestoresWhatWasSaved)
{
  TGpCanvasTestSurface surface(20, 20);
  TdxGPCanvas* canvas = surface.Canvas();
  canvas->SaveClipRegion();
  canvas->SetClipRect(TRect{0, 0, 10, 10}, gmIntersect);
  canvas->SaveClipRegion();
  canvas->SetClipRect(TdxRectF(5, 5, 20, 20), gmIntersect);
  canvas->FillRectangle(TRect{0, 0, 20, 20}, GPCanvasRed);
  EXPECT_EQ(surface.Pixel(7, 7), GPCanvasRed);
  EXPECT_EQ(surface.Pixel(2, 2), 0u);
  EXPECT_EQ(surface.Pixel(12, 12), 0u);
  canvas->RestoreClipRegion();
  canvas->FillRectangle(TRect{0, 0, 20, 20}, GPCanvasBlue);
  EXPECT_EQ(surface.Pixel(2, 2), GPCanvasBlue);
  EXPECT_EQ(surface.Pixel(12, 12), 0u);
  // An excluded path and an empty intersection.
  auto hole = rtl::TOwnedPtr<TdxGPPath>(rtl::New<TdxGPPath>());
  hole->AddRect(TRect{0, 0, 3, 3});
  canvas->SetClipPath(hole.get(), gmExclude);
  canvas->FillRectangle(TRect{0, 0, 20, 20}, GPCanvasRed);
  EXPECT_EQ(surface.Pixel(1, 1), GPCanvasBlue);
  EXPECT_EQ(surface.Pixel(5, 5), GPCanvasRed);
  EXPECT_FALSE(canvas->IsClipEmpty());
  canvas->SetClipRect(TRect{50, 50, 60, 60}, gmIntersect);
  EXPECT_TRUE(canvas->IsClipEmpty());
  canvas->RestoreClipRegion();
  canvas->FillRectangle(TRect{0, 0, 20, 20}, GPCanvasRed);
  EXPECT_EQ(surface.Pixel(12, 12), GPCanvasRed);
  // A platform region and a wrapper region.
  HRGN rgn = CreateRectRgn(0, 0, 2, 2);
  canvas->SetClipRegion(rgn, gmReplace);
  DeleteObject(rgn);
  canvas->FillRectangle(TRect{0, 0, 20, 20}, GPCanvasBlue);
  EXPECT_EQ(surface.Pixel(1, 1), GPCanvasBlue);
  EXPECT_EQ(surface.Pixel(3, 3), GPCanvasRed);
  rtl::TOwnedPtr<TdxGPRegion> infinite(rtl::New<TdxGPRegion>());
  canvas->SetClipRegion(infinite.get(), gmReplace);
  EXPECT_THROW(canvas->RestoreClipRegion(), rtl::EListError);
}

TEST_F(dxGPCanvas, TransformStackRestoresWhatWasSaved)
{
  TGpCanvasTestSurface surface(40, 40);
  TdxGPCanvas* canvas = surface.Canvas();
  canvas->SaveWorldTransform();
  canvas->TranslateWorldTransform(20, 0);
  canvas->SaveWorldTransform();
  canvas->ScaleWorldTransform(2, 2);
  canvas->FillRectangle(TRect{0, 0, 5, 5}, GPCanvasRed);
  EXPECT_EQ(surface.Pixel(29, 9), GPCanvasRed);
  EXPECT_EQ(surface.Pixel(31, 11), 0u);
  canvas->RestoreWorldTransform();
  canvas->FillRectangle(TRect{0, 20, 5, 25}, GPCanvasBlue);
  EXPECT_EQ(surface.Pixel(22, 22), GPCanvasBlue);
  canvas->RestoreWorldTransform();
  TOwnedPtr<TdxGPMatrix> current(canvas->GetWorldTransform());
  EXPECT_TRUE(current->IsIdentity());
  EXPECT_THROW(canvas->RestoreWorldTransform(), rtl::EListError);
}

TEST_F(dxGPCanvas, TransformsAboutPivotsAndCentres)
{
  TGpCanvasTestSurface surface(10, 10);
  TdxGPCanvas* canvas = surface.Canvas();
  struct Case {
    const char* What;
    void (*Apply)(TdxGPCanvas*);
    TdxPointF In;
    TdxPointF Out;
  };
  const Case cases[] = {
      {"rotate about pivot, prepend",
       [](TdxGPCanvas* C) { C->RotateWorldTransform(90, TPoint{10, 10}, MatrixOrderPrepend); }, {20, 10}, {10, 20}},
      {"rotate about pivot, append",
       [](TdxGPCanvas* C) { C->RotateWorldTransform(90, TdxPointF(10, 10), MatrixOrderAppend); }, {20, 10}, {10, 20}},
      {"scale about centre replaces",
       [](TdxGPCanvas* C) {
         C->TranslateWorldTransform(100, 100);
         C->ScaleWorldTransform(2, 3, TdxPointF(10, 10));
       },
       {10, 10},
       {10, 10}},
      {"flip horizontally", [](TdxGPCanvas* C) { C->FlipWorldTransform(true, false, 10.0f, 0.0f); }, {0, 5}, {20, 5}},
      {"flip is prepended",
       [](TdxGPCanvas* C) {
         C->TranslateWorldTransform(1, 0);
         C->FlipWorldTransform(false, true, TPoint{0, 3});
       },
       {4, 1},
       {5, 5}},
      {"no flags, no flip", [](TdxGPCanvas* C) { C->FlipWorldTransform(false, false, TdxPointF(7, 7)); }, {3, 4}, {3, 4}},
  };
  for (const Case& c : cases) {
    canvas->ResetWorldTransform();
    c.Apply(canvas);
    std::vector<TdxPointF> points{c.In};
    canvas->TransformPoints(CoordinateSpaceDevice, CoordinateSpaceWorld, points);
    EXPECT_NEAR(points[0].X, c.Out.X, 1e-3) << c.What;
    EXPECT_NEAR(points[0].Y, c.Out.Y, 1e-3) << c.What;
  }
  canvas->ResetWorldTransform();
  TOwnedPtr<TdxGPMatrix> matrix(
      rtl::NewWith<TdxGPMatrix>([](TdxGPMatrix* M) { M->CreateEx(1, 0, 0, 1, 4, 0); }));
  canvas->SetWorldTransform(matrix.get());
  canvas->ModifyWorldTransform(matrix.get(), MatrixOrderAppend);
  std::vector<TPoint> points{{1, 1}};
  canvas->TransformPoints(CoordinateSpaceDevice, CoordinateSpaceWorld, points);
  EXPECT_EQ(points[0].x, 9);
  std::vector<TPoint> none;
  EXPECT_THROW(canvas->TransformPoints(CoordinateSpaceDevice, CoordinateSpaceWorld, none),
               rtl::EArgumentOutOfRangeException);
}

// --------------------------------------------------------------------------
// Shapes with objects

TEST_F(dxGPCanvas, ObjectShapesSpanTheirBrushesOverTheFigure)
{
  TGpCanvasTestSurface surface(60, 20);
  TdxGPCanvas* canvas = surface.Canvas();
  TOwnedPtr<TdxGPBrush> brush(rtl::New<TdxGPBrush>());
  brush->SetStyle(gpbsGradient);
  brush->GetGradientPoints()->Add(0, GPCanvasRed);
  brush->GetGradientPoints()->Add(1, GPCanvasBlue);
  canvas->Rectangle(TRect{10, 0, 51, 10}, nullptr, brush.get());
  EXPECT_EQ(brush->GetTargetRect(), TdxGpRectF(9, -1, 42, 11));
  EXPECT_GT(dxAlphaColorToBytes(surface.Pixel(10, 5)).R, 0xE0);
  EXPECT_GT(dxAlphaColorToBytes(surface.Pixel(49, 5)).B, 0xE0);

  TOwnedPtr<TdxGPPen> pen(rtl::New<TdxGPPen>(GPCanvasRed, 1.0f, psSolid, 1.0f));
  surface.Clear();
  canvas->Ellipse(TRect{0, 0, 11, 11}, pen.get(), nullptr);
  EXPECT_EQ(surface.Pixel(5, 5), 0u);
  EXPECT_TRUE(surface.AnyIn(TRect{9, 4, 11, 7}));
  const TPoint triangle[] = {{20, 0}, {40, 0}, {40, 19}};
  canvas->Polygon(triangle, nullptr, brush.get());
  EXPECT_EQ(brush->GetTargetRect(), TdxGpRectF(19, -1, 22, 21));
  canvas->Line(0, 15, 10, 15, pen.get());
  EXPECT_EQ(surface.Pixel(5, 15), GPCanvasRed);

  // An empty pen draws no polyline and no path outline.
  TOwnedPtr<TdxGPPen> empty(rtl::New<TdxGPPen>());
  surface.Clear();
  canvas->Polyline(std::span<const TPoint>(triangle), empty.get());
  TOwnedPtr<TdxGPPath> path(rtl::New<TdxGPPath>());
  path->AddRect(TRect{0, 0, 10, 10});
  canvas->Path(path.get(), empty.get(), nullptr);
  EXPECT_FALSE(surface.AnyIn(TRect{0, 0, 60, 20}));
  canvas->Path(path.get(), pen.get(), brush.get());
  EXPECT_EQ(brush->GetTargetRect(), TdxGpRectF(-1, -1, 12, 12));
  EXPECT_EQ(surface.Pixel(10, 5), GPCanvasRed);
  canvas->FillRectangle(TdxRectF(20, 0, 30, 10), brush.get());
  EXPECT_NE(surface.Pixel(29, 9), 0u);
  canvas->RoundRect(TRect{40, 0, 60, 20}, pen.get(), brush.get(), 5, 5);
  EXPECT_EQ(surface.Pixel(40, 0), 0u);
  EXPECT_NE(surface.Pixel(50, 10), 0u);
}

// --------------------------------------------------------------------------
// Text

TEST_F(dxGPCanvas, StringsNeedAFontAndABrush)
{
  TGpCanvasTestSurface surface(100, 40);
  TdxGPCanvas* canvas = surface.Canvas();
  TOwnedPtr<TdxGPFont> font(rtl::New<TdxGPFont>(rtl::String(L"Tahoma"), 20.0f, guPixel));
  TOwnedPtr<TdxGPBrush> brush(rtl::New<TdxGPBrush>());
  brush->SetColor(0xFF000000);

  EXPECT_NO_THROW(canvas->DrawString(L"", font.get(), brush.get(), 0.0f, 0.0f));
  EXPECT_THROW(canvas->DrawString(L"", nullptr, brush.get(), 0.0f, 0.0f), EdxGdipException);
  EXPECT_THROW(canvas->DrawString(L"x", font.get(), nullptr, TdxPointF(0, 0)), EdxGdipException);
  EXPECT_FALSE(surface.AnyIn(TRect{0, 0, 100, 40}));
  // An empty rectangle without a format draws nothing.
  canvas->DrawString(L"Wide", font.get(), brush.get(), TdxRectF(0, 0, 0, 40));
  EXPECT_FALSE(surface.AnyIn(TRect{0, 0, 100, 40}));
  canvas->DrawString(L"Wide", font.get(), brush.get(), TdxPointF(0, 0));
  EXPECT_TRUE(surface.AnyIn(TRect{0, 0, 100, 40}));
  surface.Clear();
  TOwnedPtr<TdxGPStringFormat> format(rtl::New<TdxGPStringFormat>());
  canvas->DrawString(L"Wide", font.get(), brush.get(), TdxRectF(0, 0, 100, 40), format.get());
  EXPECT_TRUE(surface.AnyIn(TRect{0, 0, 100, 40}));
}

TEST_F(dxGPCanvas, MeasuringText)
{
  TGpCanvasTestSurface surface(10, 10);
  TdxGPCanvas* canvas = surface.Canvas();
  TOwnedPtr<TdxGPFont> font(rtl::New<TdxGPFont>(rtl::String(L"Tahoma"), 20.0f, guPixel));
  int fitted = -1, lines = -1;
  const TdxSizeF empty = canvas->MeasureString(L"", nullptr, TdxSizeF{0, 0}, nullptr, fitted, lines);
  EXPECT_EQ(empty.cx, 0);
  EXPECT_EQ(empty.cy, 0);
  EXPECT_EQ(fitted, 0);
  EXPECT_EQ(lines, 0);
  EXPECT_THROW(canvas->MeasureString(L"x", nullptr), EdxGdipException);

  const TdxSizeF line = canvas->MeasureString(L"two words", font.get());
  EXPECT_GT(line.cx, 40);
  EXPECT_GT(line.cy, 15);
  const TdxSizeF wrapped = canvas->MeasureString(L"two words", font.get(), static_cast<double>(line.cx / 2));
  EXPECT_GT(wrapped.cy, line.cy * 1.5f);
  canvas->MeasureString(L"two words", font.get(), TdxSizeF{0, 0}, nullptr, fitted, lines);
  EXPECT_EQ(fitted, 9);
  EXPECT_EQ(lines, 1);
  const TdxSizeF atPoint = canvas->MeasureString(L"two words", font.get(), TdxPointF(5, 5), nullptr);
  EXPECT_NEAR(atPoint.cx, line.cx, 0.5f);

  TOwnedPtr<TdxGPStringFormat> format(rtl::New<TdxGPStringFormat>());
  const TdxGpCharacterRange ranges[] = {{0, 3}, {4, 5}};
  format->SetMeasurableCharacterRanges(2, ranges);
  std::vector<TdxGPRegion*> regions =
      canvas->MeasureCharacterRanges(L"two words", font.get(), TdxRectF(0, 0, 500, 100), format.get());
  ASSERT_EQ(regions.size(), 2u);
  Gdiplus::GpRectF first{}, second{};
  dxGpCheck(dxGpFunctions.GdipGetRegionBounds(regions[0]->Handle(), canvas->Handle(), &first));
  dxGpCheck(dxGpFunctions.GdipGetRegionBounds(regions[1]->Handle(), canvas->Handle(), &second));
  EXPECT_GT(first.Width, 0);
  EXPECT_GT(second.X, first.X + first.Width);
  for (TdxGPRegion* region : regions)
    rtl::Free(region);
  EXPECT_TRUE(canvas->MeasureCharacterRanges(L"", font.get(), TdxRectF(0, 0, 1, 1), nullptr).empty());
  EXPECT_THROW(canvas->MeasureCharacterRanges(L"x", font.get(), TdxRectF(0, 0, 1, 1), nullptr), EdxGdipException);
}

// --------------------------------------------------------------------------
// Native images

// A bitmap whose pixel (x, y) has a colour of its own: red x*16, green y*16.
Gdiplus::GpBitmap* MakeNumberedBitmap(int AWidth, int AHeight)
{
  Gdiplus::GpBitmap* bitmap = dxGpCreateBitmap(AWidth, AHeight);
  for (int y = 0; y < AHeight; ++y)
    for (int x = 0; x < AWidth; ++x)
      dxGpCheck(dxGpFunctions.GdipBitmapSetPixel(bitmap, x, y, dxMakeAlphaColor(255, x * 16, y * 16, 0x80)));
  return bitmap;
}

TEST_F(dxGPCanvas, EnlargedBitmapsSampleOneColumnLessUnlessOffsetByHalf)
{
  Gdiplus::GpBitmap* bitmap = MakeNumberedBitmap(8, 8);
  TGpCanvasTestSurface surface(16, 16);
  TdxGPCanvas* canvas = surface.Canvas();
  canvas->SetInterpolationMode(imNearestNeighbor);
  EXPECT_EQ(canvas->GetInterpolationMode(), imNearestNeighbor);
  struct Case {
    Gdiplus::PixelOffsetMode Mode;
    int LastColumn;
  };
  for (const Case& c : {Case{Gdiplus::PixelOffsetModeDefault, 6}, Case{Gdiplus::PixelOffsetModeHalf, 7}}) {
    canvas->SetPixelOffsetMode(c.Mode);
    EXPECT_EQ(canvas->GetPixelOffsetMode(), c.Mode);
    surface.Clear();
    dxGpDrawImage(canvas->Handle(), TRect{0, 0, 16, 16}, TRect{0, 0, 8, 8}, nullptr, 255, bitmap);
    // Probed one pixel in from the edge, where the 7-pixel source maps to
    // column 6 and the whole source to column 7.
    EXPECT_EQ(dxAlphaColorToBytes(surface.Pixel(14, 14)).R, c.LastColumn * 16) << c.Mode;
    EXPECT_EQ(dxAlphaColorToBytes(surface.Pixel(14, 14)).G, c.LastColumn * 16) << c.Mode;
    // Never beyond the last column: the edge stays opaque.
    EXPECT_EQ(dxGetAlpha(surface.Pixel(15, 15)), 255) << c.Mode;
  }
  // Less than a pixel, or outside the visible area: nothing.
  surface.Clear();
  dxGpDrawImage(canvas->Handle(), TRect{0, 0, 16, 0}, TRect{0, 0, 8, 8}, nullptr, 255, bitmap);
  dxGpDrawImage(canvas->Handle(), TRect{100, 100, 116, 116}, TRect{0, 0, 8, 8}, nullptr, 255, bitmap);
  EXPECT_FALSE(surface.AnyIn(TRect{0, 0, 16, 16}));
  // An alpha below 255 blends.
  dxGpDrawImage(canvas->Handle(), TRect{0, 0, 8, 8}, TRect{0, 0, 8, 8}, nullptr, 128, bitmap);
  EXPECT_NEAR(dxGetAlpha(surface.Pixel(3, 3)), 128, 2);
  dxGpFunctions.GdipDisposeImage(bitmap);
}

TEST_F(dxGPCanvas, TilingCutsTheLastRowAndColumnFromTheSourcesTopLeft)
{
  Gdiplus::GpBitmap* bitmap = MakeNumberedBitmap(10, 10);
  TGpCanvasTestSurface surface(30, 15);
  TdxGPCanvas* canvas = surface.Canvas();
  canvas->SetInterpolationMode(imNearestNeighbor);
  canvas->SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  for (BYTE alpha : {BYTE(255), BYTE(200)}) {
    surface.Clear();
    dxGpTileImage(canvas->Handle(), TRect{0, 0, 25, 12}, TRect{0, 0, 10, 10}, alpha, bitmap);
    struct Probe {
      TPoint Dest;
      TPoint Source;
    };
    for (const Probe& p : {Probe{{0, 0}, {0, 0}}, Probe{{13, 4}, {3, 4}}, Probe{{24, 11}, {4, 1}},
                           Probe{{20, 10}, {0, 0}}}) {
      const TdxAlphaColorBytes pixel = dxAlphaColorToBytes(surface.Pixel(p.Dest.x, p.Dest.y));
      EXPECT_NEAR(pixel.A, alpha, 2) << p.Dest.x << "," << p.Dest.y;
      // Premultiplied storage rounds the colour of a blended pixel.
      EXPECT_NEAR(pixel.R, p.Source.x * 16, 3) << p.Dest.x << "," << p.Dest.y;
      EXPECT_NEAR(pixel.G, p.Source.y * 16, 3) << p.Dest.x << "," << p.Dest.y;
    }
    EXPECT_EQ(surface.Pixel(25, 5), 0u);
    EXPECT_EQ(surface.Pixel(5, 12), 0u);
  }
  dxGpFunctions.GdipDisposeImage(bitmap);
}

TEST_F(dxGPCanvas, CanvasOnADeviceContextAndItsModes)
{
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info{};
  dxInitBitmapInfoHeader32(info.bmiHeader, 8, 8, true);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, dib);
  {
    TOwnedPtr<TdxGPCanvas> canvas(rtl::New<TdxGPCanvas>(dc));
    canvas->SetSmoothingMode(smAntiAlias);
    EXPECT_EQ(canvas->GetSmoothingMode(), smAntiAlias);
    canvas->SetTextRenderingHint(TextRenderingHintAntiAlias);
    EXPECT_EQ(canvas->GetTextRenderingHint(), TextRenderingHintAntiAlias);
    EXPECT_GT(canvas->DpiX(), 0);
    EXPECT_GT(canvas->DpiY(), 0);
    EXPECT_FALSE(canvas->GetIsLowColorsMode());
    canvas->FillRectangle(TRect{0, 0, 8, 8}, GPCanvasRed);
  }
  EXPECT_EQ(static_cast<const std::uint32_t*>(bits)[9] & 0xFFFFFF, 0xFF0000u);
  SelectObject(dc, old);
  DeleteObject(dib);
  DeleteDC(dc);
}

}  // namespace
