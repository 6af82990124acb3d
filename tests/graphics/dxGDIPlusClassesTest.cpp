#include "graphics/dxGDIPlusClasses.h"

#include <gtest/gtest.h>

#include <cmath>
#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

using enum vcl::TPenStyle;

namespace {

using rtl::TOwnedPtr;

// A 32-bit premultiplied bitmap with a graphics on it, cleared to
// transparent; pixels are read back as $AARRGGBB.
class TGpTestSurface {
 public:
  TGpTestSurface(int AWidth, int AHeight)
  {
    FBitmap = dxGpCreateBitmap(AWidth, AHeight);
    dxGpCheck(dxGpFunctions.GdipGetImageGraphicsContext(FBitmap, &FGraphics));
    dxGpCheck(dxGpFunctions.GdipGraphicsClear(FGraphics, 0));
  }
  ~TGpTestSurface()
  {
    dxGpFunctions.GdipDeleteGraphics(FGraphics);
    dxGpFunctions.GdipDisposeImage(FBitmap);
  }
  TGpTestSurface(const TGpTestSurface&) = delete;
  TGpTestSurface& operator=(const TGpTestSurface&) = delete;

  Gdiplus::GpGraphics* Graphics() const { return FGraphics; }
  Gdiplus::GpBitmap* Bitmap() const { return FBitmap; }
  TdxAlphaColor Pixel(int X, int Y) const
  {
    dxGpFunctions.GdipFlush(FGraphics, Gdiplus::FlushIntentionSync);
    Gdiplus::ARGB color = 0;
    dxGpCheck(dxGpFunctions.GdipBitmapGetPixel(FBitmap, X, Y, &color));
    return color;
  }

 private:
  Gdiplus::GpBitmap* FBitmap = nullptr;
  Gdiplus::GpGraphics* FGraphics = nullptr;
};

bool ChannelsNear(TdxAlphaColor A, TdxAlphaColor B, int ATolerance)
{
  for (int shift = 0; shift < 32; shift += 8)
    if (std::abs(static_cast<int>((A >> shift) & 0xFF) - static_cast<int>((B >> shift) & 0xFF)) > ATolerance)
      return false;
  return true;
}

// Counts the OnChange calls of whatever it is bound to.
class TGpClassesChangeCounter : public rtl::TObject {
  RTL_CLASS(TGpClassesChangeCounter, rtl::TObject)

 public:
  void Changed(rtl::TObject*) { ++Count; }
  rtl::TNotifyEvent Event() { return rtl::TNotifyEvent::Bind<&TGpClassesChangeCounter::Changed>(this); }
  int Count = 0;
};

class dxGPClasses : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dxGpIsAvailable()); }
};

template <class T>
TOwnedPtr<T> Make()
{
  return TOwnedPtr<T>(rtl::New<T>());
}

TOwnedPtr<TdxGPMatrix> MakeMatrix(float M11, float M12, float M21, float M22, float DX, float DY)
{
  return TOwnedPtr<TdxGPMatrix>(
      rtl::NewWith<TdxGPMatrix>([&](TdxGPMatrix* M) { M->CreateEx(M11, M12, M21, M22, DX, DY); }));
}

bool SamePoint(const TPoint& A, const TPoint& B)
{
  return A.x == B.x && A.y == B.y;
}

bool GPSameRect(const TRect& A, const TRect& B)
{
  return A.left == B.left && A.top == B.top && A.right == B.right && A.bottom == B.bottom;
}

void ExpectPointNear(const TdxPointF& AActual, float AX, float AY)
{
  EXPECT_NEAR(AActual.X, AX, 1e-3f);
  EXPECT_NEAR(AActual.Y, AY, 1e-3f);
}

// --------------------------------------------------------------------------
// Matrix

TEST_F(dxGPClasses, MatrixIsMadeOnFirstUseAndCreationFiresNoChange)
{
  auto matrix = Make<TdxGPMatrix>();
  TGpClassesChangeCounter* counter = rtl::New<TGpClassesChangeCounter>();
  matrix->SetOnChange(counter->Event());
  EXPECT_FALSE(matrix->HandleAllocated());
  EXPECT_TRUE(matrix->IsIdentity());
  EXPECT_TRUE(matrix->HandleAllocated());
  EXPECT_EQ(counter->Count, 0);
  // Every change announces itself once.
  matrix->Translate(1, 2);
  matrix->Rotate(30);
  matrix->Scale(2, 2);
  matrix->Shear(0.5f, 0);
  matrix->Invert();
  matrix->Reset();
  EXPECT_EQ(counter->Count, 6);
  EXPECT_TRUE(matrix->IsIdentity());
  matrix->FreeHandle();
  EXPECT_FALSE(matrix->HandleAllocated());
  rtl::Free(counter);
}

TEST_F(dxGPClasses, MatrixFlipMirrorsAboutThePivotLines)
{
  struct Case {
    bool H, V;
    TdxPointF Pivot, Point, Expected;
  };
  const Case cases[] = {
      {true, false, {10, 0}, {0, 5}, {20, 5}},
      {false, true, {0, 3}, {4, 1}, {4, 5}},
      {true, true, {1, 1}, {0, 0}, {2, 2}},
      {false, false, {7, 7}, {3, 4}, {3, 4}},
  };
  for (const Case& c : cases) {
    TOwnedPtr<TdxGPMatrix> flip(
        rtl::NewWith<TdxGPMatrix>([&](TdxGPMatrix* M) { M->CreateFlip(c.H, c.V, c.Pivot); }));
    ExpectPointNear(flip->TransformPoint(c.Point), c.Expected.X, c.Expected.Y);
    // Flip appends the same mirror to whatever the matrix held.
    auto shifted = MakeMatrix(1, 0, 0, 1, 1, 0);
    shifted->Flip(c.H, c.V, c.Pivot);
    const TdxPointF moved(c.Point.X - 1, c.Point.Y);
    ExpectPointNear(shifted->TransformPoint(moved), c.Expected.X, c.Expected.Y);
  }
}

TEST_F(dxGPClasses, MatrixRotatesAboutThePivotInEitherOrder)
{
  for (TdxGpMatrixOrder order : {MatrixOrderPrepend, MatrixOrderAppend}) {
    auto matrix = Make<TdxGPMatrix>();
    matrix->Rotate(90, TdxPointF(10, 10), order);
    ExpectPointNear(matrix->TransformPoint(TdxPointF(10, 10)), 10, 10);
    // The library turns clockwise on screen: +x goes to +y.
    ExpectPointNear(matrix->TransformPoint(TdxPointF(20, 10)), 10, 20);
  }
}

TEST_F(dxGPClasses, MatrixScaleAboutACentreReplacesTheContent)
{
  auto matrix = MakeMatrix(1, 0, 0, 1, 50, 50);
  matrix->Scale(TdxPointF(2, 3), TdxPointF(10, 10), MatrixOrderAppend);
  float e[6];
  matrix->GetElements(e[0], e[1], e[2], e[3], e[4], e[5]);
  const float expected[6] = {2, 0, 0, 3, -10, -20};
  for (int i = 0; i < 6; ++i)
    EXPECT_FLOAT_EQ(e[i], expected[i]) << i;
  EXPECT_FLOAT_EQ(matrix->OffsetX(), -10);
  EXPECT_FLOAT_EQ(matrix->OffsetY(), -20);
}

TEST_F(dxGPClasses, MatrixTransformRectMapsTwoCornersBoundingRectFour)
{
  auto matrix = Make<TdxGPMatrix>();
  matrix->Rotate(90);
  const TdxRectF mapped = matrix->TransformRect(TdxRectF(0, 0, 10, 20));
  EXPECT_NEAR(mapped.Left, 0, 1e-4);
  EXPECT_NEAR(mapped.Right, -20, 1e-4);
  EXPECT_LT(mapped.Right, mapped.Left);
  const TdxRectF bounds = matrix->GetBoundingRectangle(TdxRectF(0, 0, 10, 20));
  EXPECT_NEAR(bounds.Left, -20, 1e-4);
  EXPECT_NEAR(bounds.Top, 0, 1e-4);
  EXPECT_NEAR(bounds.Right, 0, 1e-4);
  EXPECT_NEAR(bounds.Bottom, 10, 1e-4);
  const TRect mappedI = matrix->TransformRect(TRect{0, 0, 10, 20});
  EXPECT_TRUE(GPSameRect(mappedI, TRect{0, 0, -20, 10}));
}

TEST_F(dxGPClasses, MatrixIntegerPointsRoundToNearest)
{
  auto matrix = MakeMatrix(0.5f, 0, 0, 0.5f, 0.25f, 0);
  EXPECT_TRUE(SamePoint(matrix->TransformPoint(TPoint{3, 4}), TPoint{2, 2}));
  std::vector<TPoint> points{{3, 4}, {7, 10}};
  matrix->TransformPoints(points);
  EXPECT_TRUE(SamePoint(points[0], TPoint{2, 2}));
  EXPECT_TRUE(SamePoint(points[1], TPoint{4, 5}));
  std::vector<TPoint> none;
  matrix->TransformPoints(none);
  EXPECT_TRUE(none.empty());
  std::vector<TdxPointF> pointsF{{2, 2}};
  matrix->TransformPoints(pointsF);
  ExpectPointNear(pointsF[0], 1.25f, 1);
}

TEST_F(dxGPClasses, MatrixCloneAssignAndXForm)
{
  const XFORM xform{1, 2, 3, 4, 5, 6};
  TOwnedPtr<TdxGPMatrix> source(rtl::NewWith<TdxGPMatrix>([&](TdxGPMatrix* M) { M->CreateEx(xform); }));
  TOwnedPtr<TdxGPMatrix> clone(source->Clone());
  auto assigned = Make<TdxGPMatrix>();
  assigned->Assign(source.get());
  auto brush = Make<TdxGPBrush>();
  auto untouched = Make<TdxGPMatrix>();
  untouched->Assign(brush.get());
  EXPECT_TRUE(untouched->IsIdentity());
  for (TdxGPMatrix* matrix : {clone.get(), assigned.get()}) {
    float e[6];
    matrix->GetElements(e[0], e[1], e[2], e[3], e[4], e[5]);
    for (int i = 0; i < 6; ++i)
      EXPECT_FLOAT_EQ(e[i], static_cast<float>(i + 1));
  }
  EXPECT_TRUE(source->IsInvertible());
  EXPECT_FALSE(MakeMatrix(1, 1, 1, 1, 0, 0)->IsInvertible());
}

// --------------------------------------------------------------------------
// Gradient points

std::vector<std::pair<float, TdxAlphaColor>> PointsOf(TdxGPBrushGradientPoints* APoints)
{
  std::vector<std::pair<float, TdxAlphaColor>> result;
  for (int i = 0; i < APoints->Count(); ++i)
    result.emplace_back(APoints->GetOffset(i), APoints->GetColor(i));
  return result;
}

TEST_F(dxGPClasses, GradientPointsStaySortedAndTheBlendFadesAtTheEnds)
{
  auto points = Make<TdxGPBrushGradientPoints>();
  EXPECT_EQ(points->Add(0.7f, 0xFF0000FF), 0);
  EXPECT_EQ(points->Add(0.2f, 0xFFFF0000), 1);
  using P = std::pair<float, TdxAlphaColor>;
  EXPECT_EQ(PointsOf(points.get()), (std::vector<P>{{0.2f, 0xFFFF0000}, {0.7f, 0xFF0000FF}}));

  const TdxAlphaColor* colors;
  const float* offsets;
  ASSERT_EQ(points->GetBlend(colors, offsets), 4);
  const float expectedOffsets[] = {0, 0.2f, 0.7f, 1};
  const TdxAlphaColor expectedColors[] = {0, 0xFFFF0000, 0xFF0000FF, 0};
  for (int i = 0; i < 4; ++i) {
    EXPECT_FLOAT_EQ(offsets[i], expectedOffsets[i]);
    EXPECT_EQ(colors[i], expectedColors[i]);
  }

  // Stops reaching both ends add nothing.
  auto full = Make<TdxGPBrushGradientPoints>();
  full->Add(1, 2);
  full->Add(0, 1);
  EXPECT_EQ(full->GetBlend(colors, offsets), 2);
  EXPECT_EQ(colors[0], 1u);
  EXPECT_EQ(colors[1], 2u);
}

TEST_F(dxGPClasses, GradientPointsInvertDeleteAssignAndAnnounce)
{
  auto points = Make<TdxGPBrushGradientPoints>();
  TGpClassesChangeCounter* counter = rtl::New<TGpClassesChangeCounter>();
  points->SetOnChange(counter->Event());
  points->Add(0.2f, 0xFFFF0000);
  points->Add(0.7f, 0xFF0000FF);
  points->InvertOrder();
  using P = std::pair<float, TdxAlphaColor>;
  const auto inverted = PointsOf(points.get());
  ASSERT_EQ(inverted.size(), 2u);
  EXPECT_NEAR(inverted[0].first, 0.3f, 1e-6);
  EXPECT_EQ(inverted[0].second, 0xFF0000FFu);
  EXPECT_NEAR(inverted[1].first, 0.8f, 1e-6);
  EXPECT_EQ(inverted[1].second, 0xFFFF0000u);
  EXPECT_EQ(counter->Count, 3);

  // Unchanged values (within the tolerance) announce nothing.
  points->SetOffset(0, inverted[0].first + 0.00005f);
  points->SetColor(1, 0xFFFF0000);
  EXPECT_EQ(counter->Count, 3);
  // A moved offset re-sorts.
  points->SetOffset(0, 0.9f);
  EXPECT_EQ(PointsOf(points.get())[1], (P{0.9f, 0xFF0000FF}));
  EXPECT_EQ(counter->Count, 4);

  auto copy = Make<TdxGPBrushGradientPoints>();
  TGpClassesChangeCounter* copyCounter = rtl::New<TGpClassesChangeCounter>();
  copy->Add(0.5f, 1);
  copy->SetOnChange(copyCounter->Event());
  copy->Assign(points.get());
  EXPECT_EQ(PointsOf(copy.get()), PointsOf(points.get()));
  EXPECT_EQ(copyCounter->Count, 1);
  copy->Assign(copy.get());
  copy->Assign(nullptr);
  EXPECT_EQ(copyCounter->Count, 1);

  points->Delete(0);
  EXPECT_EQ(PointsOf(points.get()), (std::vector<P>{{0.9f, 0xFF0000FF}}));
  points->InvertOrder();
  EXPECT_EQ(counter->Count, 5);
  // Cutting the capacity below the count cuts the count and announces.
  points->Clear();
  EXPECT_EQ(points->Count(), 0);
  EXPECT_EQ(counter->Count, 6);
  rtl::Free(counter);
  rtl::Free(copyCounter);
}

TEST_F(dxGPClasses, GradientPointsRejectIndexesOutsideTheList)
{
  auto points = Make<TdxGPBrushGradientPoints>();
  points->Add(0.5f, 1);
  for (int index : {-1, 1}) {
    try {
      points->GetOffset(index);
      ADD_FAILURE() << index;
    } catch (const rtl::Exception& E) {
      EXPECT_EQ(E.Message(), rtl::Format(L"List index out of bounds (%d)", {index}));
    }
    EXPECT_THROW(points->GetColor(index), rtl::Exception);
    EXPECT_THROW(points->SetColor(index, 0), rtl::Exception);
    EXPECT_THROW(points->SetOffset(index, 0), rtl::Exception);
    EXPECT_THROW(points->Delete(index), rtl::Exception);
  }
  // Many points: the arrays grow as needed.
  for (int i = 0; i < 300; ++i)
    points->Add(static_cast<float>(i % 17) / 17, i);
  EXPECT_EQ(points->Count(), 301);
  for (int i = 1; i < points->Count(); ++i)
    EXPECT_LE(points->GetOffset(i - 1), points->GetOffset(i));
}

// --------------------------------------------------------------------------
// Brushes

void FillWith(TGpTestSurface& ASurface, TdxGPCustomBrush* ABrush, float AX, float AY, float AWidth, float AHeight)
{
  dxGpCheck(dxGpFunctions.GdipFillRectangle(ASurface.Graphics(), ABrush->Handle(), AX, AY, AWidth, AHeight));
}

TEST_F(dxGPClasses, BrushEmptinessFollowsItsStyle)
{
  auto brush = Make<TdxGPBrush>();
  struct Case {
    TdxGPBrushStyle Style;
    TdxAlphaColor Color;
    bool WithPoints;
    bool Empty;
  };
  const Case cases[] = {
      {gpbsSolid, 0, false, true},         {gpbsSolid, 0xFF000000, false, false},
      {gpbsGradient, 0xFF000000, false, true}, {gpbsGradient, 0, true, false},
      {gpbsTexture, 0xFF000000, true, true},  {gpbsClear, 0xFF000000, true, true},
  };
  for (const Case& c : cases) {
    brush->GetGradientPoints()->Clear();
    if (c.WithPoints)
      brush->GetGradientPoints()->Add(0, 0xFF000000);
    brush->SetColor(c.Color);
    brush->SetStyle(c.Style);
    EXPECT_EQ(brush->IsEmpty(), c.Empty) << c.Style;
  }
}

TEST_F(dxGPClasses, SolidBrushChangesItsColourInPlace)
{
  TGpTestSurface surface(4, 4);
  auto brush = Make<TdxGPBrush>();
  TGpClassesChangeCounter* counter = rtl::New<TGpClassesChangeCounter>();
  brush->SetOnChange(counter->Event());
  brush->SetColor(0xFFFF0000);
  Gdiplus::GpBrush* handle = brush->Handle();
  brush->SetColor(0xFF00FF00);
  brush->SetColor(0xFF00FF00);
  EXPECT_EQ(brush->Handle(), handle);
  FillWith(surface, brush.get(), 0, 0, 4, 4);
  EXPECT_EQ(surface.Pixel(1, 1), 0xFF00FF00u);
  EXPECT_EQ(counter->Count, 2);
  // A clear brush paints nothing.
  brush->SetStyle(gpbsClear);
  EXPECT_FALSE(brush->HandleAllocated());
  dxGpCheck(dxGpFunctions.GdipGraphicsClear(surface.Graphics(), 0));
  FillWith(surface, brush.get(), 0, 0, 4, 4);
  EXPECT_EQ(surface.Pixel(1, 1), 0u);
  rtl::Free(counter);
}

TEST_F(dxGPClasses, GradientBrushSpansTheTargetRectAndIsRemadeOnlyWhenItMoves)
{
  TGpTestSurface surface(100, 10);
  auto brush = Make<TdxGPBrush>();
  TGpClassesChangeCounter* created = rtl::New<TGpClassesChangeCounter>();
  brush->SetOnHandleCreated(created->Event());
  brush->SetStyle(gpbsGradient);
  brush->GetGradientPoints()->Add(0, 0xFFFF0000);
  brush->GetGradientPoints()->Add(1, 0xFF0000FF);
  // Without a target rectangle the brush paints nothing.
  FillWith(surface, brush.get(), 0, 0, 100, 10);
  EXPECT_EQ(surface.Pixel(50, 5), 0u);
  EXPECT_EQ(created->Count, 1);

  brush->SetTargetRect(TRect{0, 0, 100, 10});
  EXPECT_EQ(brush->GetTargetRect(), TdxGpRectF(-1, -1, 102, 12));
  EXPECT_FALSE(brush->HandleAllocated());
  FillWith(surface, brush.get(), 0, 0, 100, 10);
  EXPECT_TRUE(ChannelsNear(surface.Pixel(0, 5), 0xFFFF0000, 12)) << std::hex << surface.Pixel(0, 5);
  EXPECT_TRUE(ChannelsNear(surface.Pixel(99, 5), 0xFF0000FF, 12)) << std::hex << surface.Pixel(99, 5);
  EXPECT_TRUE(ChannelsNear(surface.Pixel(50, 5), 0xFF80007F, 12)) << std::hex << surface.Pixel(50, 5);
  EXPECT_EQ(created->Count, 2);
  brush->SetTargetRect(TRect{0, 0, 100, 10});
  brush->Handle();
  EXPECT_EQ(created->Count, 2);

  // A stop short of the end fades to transparent there.
  brush->GetGradientPoints()->SetOffset(1, 0.5f);
  dxGpCheck(dxGpFunctions.GdipGraphicsClear(surface.Graphics(), 0));
  FillWith(surface, brush.get(), 0, 0, 100, 10);
  EXPECT_EQ(created->Count, 3);
  EXPECT_LT(surface.Pixel(99, 5) >> 24, 0x10u);
  EXPECT_TRUE(ChannelsNear(surface.Pixel(49, 5), 0xFF0000FF, 12)) << std::hex << surface.Pixel(49, 5);

  // A vertical gradient runs top to bottom.
  brush->SetGradientMode(gpbgmVertical);
  brush->GetGradientPoints()->SetOffset(1, 1);
  FillWith(surface, brush.get(), 0, 0, 100, 10);
  // The span is 12 pixels high (grown by 1 each side), so the rows are
  // mostly, not purely, one colour.
  const TdxAlphaColorBytes top = dxAlphaColorToBytes(surface.Pixel(50, 0));
  const TdxAlphaColorBytes bottom = dxAlphaColorToBytes(surface.Pixel(50, 9));
  EXPECT_GT(top.R, 0xC0);
  EXPECT_LT(top.B, 0x40);
  EXPECT_GT(bottom.B, 0xC0);
  EXPECT_LT(bottom.R, 0x40);
  rtl::Free(created);
}

TEST_F(dxGPClasses, BrushAssignCopiesEverySetting)
{
  auto source = Make<TdxGPBrush>();
  source->SetColor(0xFF102030);
  source->SetGradientMode(gpbgmBackwardDiagonal);
  source->GetGradientPoints()->Add(0.5f, 7);
  source->GetTextureTransform()->Translate(3, 4);
  source->SetTargetRect(TdxRectF(1, 2, 3, 4));
  source->SetStyle(gpbsGradient);
  auto brush = Make<TdxGPBrush>();
  brush->Assign(source.get());
  EXPECT_EQ(brush->GetColor(), 0xFF102030u);
  EXPECT_EQ(brush->GetGradientMode(), gpbgmBackwardDiagonal);
  EXPECT_EQ(brush->GetStyle(), gpbsGradient);
  EXPECT_EQ(brush->GetGradientPoints()->Count(), 1);
  EXPECT_FLOAT_EQ(brush->GetTextureTransform()->OffsetY(), 4);
  // The stored rectangle, not grown again.
  EXPECT_EQ(brush->GetTargetRect(), source->GetTargetRect());
}

// --------------------------------------------------------------------------
// Pens

TEST_F(dxGPClasses, PenMakesItsNativePenOnDemandUnlessDashed)
{
  auto solid = Make<TdxGPPen>();
  EXPECT_FALSE(solid->HandleAllocated());
  EXPECT_EQ(solid->GetStyle(), gppsSolid);
  EXPECT_FLOAT_EQ(solid->GetWidth(), 1);
  EXPECT_TRUE(solid->IsEmpty());

  TOwnedPtr<TdxGPPen> dashed(
      rtl::New<TdxGPPen>(TdxAlphaColor(0xFF000000), 2.0f, psDash, 1.0f));
  EXPECT_TRUE(dashed->HandleAllocated());
  EXPECT_EQ(dashed->GetStyle(), gppsDashDotDot);
  int count = 0;
  dxGpCheck(dxGpFunctions.GdipGetPenDashCount(dashed->Handle(), &count));
  EXPECT_EQ(count, 2);
  float dashes[2] = {};
  dxGpCheck(dxGpFunctions.GdipGetPenDashArray(dashed->Handle(), dashes, 2));
  EXPECT_FLOAT_EQ(dashes[0], 4.5f);
  EXPECT_FLOAT_EQ(dashes[1], 2);

  struct Case {
    vcl::TPenStyle Style;
    int Count;
  };
  for (const Case& c : {Case{psDot, 2}, Case{psDashDot, 4}, Case{psDashDotDot, 6}}) {
    TOwnedPtr<TdxGPPen> pen(rtl::New<TdxGPPen>(TdxAlphaColor(0xFF000000), 1.0f, c.Style, 1.0f));
    dxGpCheck(dxGpFunctions.GdipGetPenDashCount(pen->Handle(), &count));
    EXPECT_EQ(count, c.Count) << c.Style;
  }
}

TEST_F(dxGPClasses, PenWidthIsNeverNegative)
{
  TOwnedPtr<TdxGPPen> pen(rtl::New<TdxGPPen>(TdxAlphaColor(0xFF000000), 2.0f, psSolid, 1.0f));
  EXPECT_FALSE(pen->IsEmpty());
  pen->SetWidth(-3);
  EXPECT_FLOAT_EQ(pen->GetWidth(), 0);
  EXPECT_TRUE(pen->IsEmpty());
}

TEST_F(dxGPClasses, PenDrawsWithItsBrushAndFollowsItsChanges)
{
  TGpTestSurface surface(20, 20);
  TOwnedPtr<TdxGPPen> pen(rtl::New<TdxGPPen>(TdxAlphaColor(0xFFFF0000), 3.0f, psSolid, 1.0f));
  dxGpCheck(dxGpFunctions.GdipDrawLine(surface.Graphics(), pen->Handle(), 0, 10, 20, 10));
  EXPECT_EQ(surface.Pixel(10, 10), 0xFFFF0000u);
  EXPECT_EQ(surface.Pixel(10, 15), 0u);
  // The live pen takes the brush's new colour and width without being remade.
  Gdiplus::GpPen* handle = pen->Handle();
  pen->GetBrush()->SetColor(0xFF0000FF);
  pen->SetWidth(9);
  pen->SetLineJoin(LineJoinRound);
  pen->SetMiterLimit(4);
  pen->SetDashCapStyle(gpdcRound);
  pen->SetLineStartCapStyle(gpcsRound);
  pen->SetLineEndCapStyle(gpcsSquare);
  EXPECT_EQ(pen->Handle(), handle);
  dxGpCheck(dxGpFunctions.GdipDrawLine(surface.Graphics(), pen->Handle(), 5, 10, 15, 10));
  EXPECT_EQ(surface.Pixel(10, 10), 0xFF0000FFu);
  EXPECT_EQ(surface.Pixel(10, 13), 0xFF0000FFu);
  // A square end cap reaches beyond the end point, a flat one would not.
  EXPECT_EQ(surface.Pixel(17, 10), 0xFF0000FFu);
  Gdiplus::LineJoin join;
  dxGpCheck(dxGpFunctions.GdipGetPenLineJoin(handle, &join));
  EXPECT_EQ(join, LineJoinRound);
  // A brush style change makes a new native brush, which the pen takes.
  pen->GetBrush()->SetStyle(gpbsClear);
  dxGpCheck(dxGpFunctions.GdipGraphicsClear(surface.Graphics(), 0));
  dxGpCheck(dxGpFunctions.GdipDrawLine(surface.Graphics(), pen->Handle(), 0, 10, 20, 10));
  EXPECT_EQ(surface.Pixel(10, 10), 0u);
}

TEST_F(dxGPClasses, PenStyleAndAssign)
{
  auto pen = Make<TdxGPPen>();
  TGpClassesChangeCounter* counter = rtl::New<TGpClassesChangeCounter>();
  pen->SetOnChange(counter->Event());
  pen->SetStyle(gppsDot);
  pen->SetStyle(gppsDot);
  EXPECT_EQ(counter->Count, 1);
  // DashDotDot is applied again each time: it replaces a custom pattern.
  const float pattern[] = {1, 1, 1};
  pen->SetDashArray(pattern);
  pen->SetStyle(gppsDashDotDot);
  EXPECT_EQ(counter->Count, 3);
  Gdiplus::DashStyle style;
  dxGpCheck(dxGpFunctions.GdipGetPenDashStyle(pen->Handle(), &style));
  EXPECT_EQ(style, Gdiplus::DashStyleDashDotDot);

  TOwnedPtr<TdxGPPen> source(rtl::New<TdxGPPen>(TdxAlphaColor(0xFF00FF00), 5.0f, psSolid, 1.0f));
  source->SetDashCapStyle(gpdcTriangle);
  source->SetLineStartCapStyle(gpcsSquare);
  source->SetLineEndCapStyle(gpcsRound);
  pen->Assign(source.get());
  EXPECT_EQ(pen->GetBrush()->GetColor(), 0xFF00FF00u);
  EXPECT_EQ(pen->GetStyle(), gppsSolid);
  EXPECT_FLOAT_EQ(pen->GetWidth(), 5);
  EXPECT_EQ(pen->GetDashCapStyle(), gpdcTriangle);
  EXPECT_EQ(pen->GetLineStartCapStyle(), gpcsSquare);
  EXPECT_EQ(pen->GetLineEndCapStyle(), gpcsRound);
  rtl::Free(counter);
}

// --------------------------------------------------------------------------
// Paths

TOwnedPtr<TdxGPCanvas> CanvasOn(const TGpTestSurface& ASurface)
{
  // The surface keeps its graphics; the canvas gets one of its own on the
  // same bitmap.
  Gdiplus::GpGraphics* graphics = nullptr;
  dxGpCheck(dxGpFunctions.GdipGetImageGraphicsContext(ASurface.Bitmap(), &graphics));
  return TOwnedPtr<TdxGPCanvas>(rtl::New<TdxGPCanvas>(graphics));
}

void FillPath(TGpTestSurface& ASurface, TdxGPPath* APath)
{
  auto brush = Make<TdxGPBrush>();
  brush->SetColor(0xFF000000);
  dxGpCheck(dxGpFunctions.GdipFillPath(ASurface.Graphics(), brush->Handle(), APath->Handle()));
}

TEST_F(dxGPClasses, RoundRectRadiiAreCutToAThirdAndZeroGivesARectangle)
{
  const TdxRectF rect(0, 0, 30, 60);
  auto huge = Make<TdxGPPath>();
  huge->AddRoundRect(rect, 100, 100);
  auto third = Make<TdxGPPath>();
  third->AddRoundRect(rect, 10, 20);
  ASSERT_EQ(huge->GetPointCount(), third->GetPointCount());
  std::vector<Gdiplus::GpPointF> a(huge->GetPointCount()), b(third->GetPointCount());
  dxGpCheck(dxGpFunctions.GdipGetPathPoints(huge->Handle(), a.data(), static_cast<int>(a.size())));
  dxGpCheck(dxGpFunctions.GdipGetPathPoints(third->Handle(), b.data(), static_cast<int>(b.size())));
  for (std::size_t i = 0; i < a.size(); ++i) {
    EXPECT_FLOAT_EQ(a[i].X, b[i].X) << i;
    EXPECT_FLOAT_EQ(a[i].Y, b[i].Y) << i;
  }

  TGpTestSurface surface(40, 70);
  FillPath(surface, third.get());
  EXPECT_EQ(surface.Pixel(0, 0), 0u);
  EXPECT_EQ(surface.Pixel(15, 30), 0xFF000000u);

  auto plain = Make<TdxGPPath>();
  plain->AddRoundRect(TRect{0, 0, 30, 60}, 0, 5);
  EXPECT_EQ(plain->GetPointCount(), 4);
  std::vector<BYTE> types(4);
  dxGpCheck(dxGpFunctions.GdipGetPathTypes(plain->Handle(), types.data(), 4));
  EXPECT_NE(types[3] & Gdiplus::PathPointTypeCloseSubpath, 0);
  dxGpCheck(dxGpFunctions.GdipGraphicsClear(surface.Graphics(), 0));
  FillPath(surface, plain.get());
  EXPECT_EQ(surface.Pixel(0, 0), 0xFF000000u);
}

TEST_F(dxGPClasses, PathBoundsHitTestsAndTransforms)
{
  auto path = Make<TdxGPPath>();
  path->AddRect(TRect{10, 10, 30, 20});
  const TRect bounds = path->GetBounds();
  EXPECT_TRUE(GPSameRect(bounds, TRect{10, 10, 30, 20}));
  TOwnedPtr<TdxGPPen> pen(rtl::New<TdxGPPen>(TdxAlphaColor(0xFF000000), 4.0f, psSolid, 1.0f));
  const TdxRectF wide = path->GetBoundsF(pen.get());
  EXPECT_LT(wide.Left, 10);
  EXPECT_GT(wide.Right, 30);

  struct Case {
    TPoint P;
    bool Inside;
    bool OnOutline;
  };
  const Case cases[] = {{{15, 15}, true, false}, {{10, 15}, true, true}, {{40, 15}, false, false}, {{31, 15}, false, true}};
  for (const Case& c : cases) {
    EXPECT_EQ(path->IsPointInPath(c.P), c.Inside) << c.P.x;
    EXPECT_EQ(path->IsPointInPath(TdxPointF(c.P)), c.Inside) << c.P.x;
    EXPECT_EQ(path->IsPointInPathOutline(c.P, pen.get()), c.OnOutline) << c.P.x;
    EXPECT_EQ(path->IsPointInPathOutline(c.P, 4), c.OnOutline) << c.P.x;
    EXPECT_FALSE(path->IsPointInPathOutline(c.P, 0));
  }
  // The canvas's world transform moves the test.
  TGpTestSurface surface(50, 50);
  auto canvas = CanvasOn(surface);
  dxGpCheck(dxGpFunctions.GdipTranslateWorldTransform(canvas->Handle(), 100, 0, MatrixOrderAppend));
  EXPECT_FALSE(path->IsPointInPath(TPoint{15, 15}, canvas.get()));
  EXPECT_TRUE(path->IsPointInPath(TPoint{115, 15}, canvas.get()));

  auto copy = Make<TdxGPPath>();
  copy->Assign(path.get());
  copy->Assign(copy.get());
  auto shift = MakeMatrix(1, 0, 0, 1, 5, 5);
  copy->Transform(shift.get());
  EXPECT_TRUE(GPSameRect(copy->GetBounds(), TRect{15, 15, 35, 25}));
  EXPECT_TRUE(GPSameRect(path->GetBounds(), TRect{10, 10, 30, 20}));
  copy->Reset();
  EXPECT_EQ(copy->GetPointCount(), 0);

  EXPECT_EQ(path->GetFillMode(), gpfmAlternate);
  path->SetFillMode(gpfmWinding);
  EXPECT_EQ(path->GetFillMode(), gpfmWinding);
  TOwnedPtr<TdxGPPath> winding(rtl::New<TdxGPPath>(gpfmWinding));
  EXPECT_EQ(winding->GetFillMode(), gpfmWinding);
}

TEST_F(dxGPClasses, PathFromPointsCurvesAndFlattening)
{
  const TdxGpPointFDynArray points{{0, 0}, {10, 0}, {10, 10}};
  const std::vector<BYTE> types{Gdiplus::PathPointTypeStart, Gdiplus::PathPointTypeLine,
                                Gdiplus::PathPointTypeLine | Gdiplus::PathPointTypeCloseSubpath};
  TOwnedPtr<TdxGPPath> triangle(rtl::New<TdxGPPath>(points, types));
  EXPECT_EQ(triangle->GetPointCount(), 3);
  EXPECT_TRUE(triangle->IsPointInPath(TdxPointF(8, 2)));
  EXPECT_FALSE(triangle->IsPointInPath(TdxPointF(2, 8)));

  auto curve = Make<TdxGPPath>();
  curve->FigureStart();
  curve->AddBezier({0, 0}, {0, 10}, {10, 10}, {10, 0});
  curve->AddArc(0, 0, 10, 10, 0, 90);
  curve->AddPie(0, 0, 10, 10, 0, 90);
  curve->AddEllipse(TdxRectF(0, 0, 4, 4));
  curve->AddEllipse(TRect{0, 0, 4, 4});
  const TPoint polygon[] = {{0, 0}, {5, 0}, {5, 5}};
  curve->AddPolygon(polygon);
  curve->AddPolyline(polygon);
  const TdxPointF polygonF[] = {{0, 0}, {5, 0}, {5, 5}};
  curve->AddPolygon(polygonF);
  curve->AddPolyline(polygonF);
  curve->AddPath(triangle.get());
  curve->FigureFinish();
  const int before = curve->GetPointCount();
  curve->Flatten(nullptr, 0.25f);
  EXPECT_GT(curve->GetPointCount(), before);
}

TEST_F(dxGPClasses, PathTextNeedsAnInstalledFamily)
{
  TOwnedPtr<TdxGPFontFamily> family(rtl::New<TdxGPFontFamily>(rtl::String(L"Tahoma")));
  ASSERT_NE(family->Handle(), nullptr);
  auto path = Make<TdxGPPath>();
  // No format: Wine's library refuses none, so the path supplies a default.
  path->AddString(L"Hi", family.get(), 0, 20, TdxPointF(0, 0), nullptr);
  const int afterPoint = path->GetPointCount();
  EXPECT_GT(afterPoint, 0);
  path->AddString(L"Hi", family.get(), 1, 20, TRect{0, 30, 100, 80}, nullptr);
  EXPECT_GT(path->GetPointCount(), afterPoint);
  TOwnedPtr<TdxGPFont> font(rtl::New<TdxGPFont>(rtl::String(L"Tahoma"), 12.0f));
  auto format = Make<TdxGPStringFormat>();
  path->AddString(L"Hi", font.get(), format.get(), TdxRectF(0, 100, 100, 150));
  EXPECT_GT(path->GetBounds().bottom, 100);

  TOwnedPtr<TdxGPFontFamily> missing(rtl::New<TdxGPFontFamily>(rtl::String(L"Kv No Such Family")));
  EXPECT_THROW(path->AddString(L"Hi", missing.get(), 0, 20, TdxPointF(0, 0), nullptr), EdxGdipException);
}

// --------------------------------------------------------------------------
// Regions and string formats

bool RegionHas(TdxGPRegion* ARegion, float X, float Y)
{
  BOOL result = FALSE;
  dxGpCheck(dxGpFunctions.GdipIsVisibleRegionPoint(ARegion->Handle(), X, Y, nullptr, &result));
  return result != FALSE;
}

TEST_F(dxGPClasses, RegionsCombine)
{
  TOwnedPtr<TdxGPRegion> region(rtl::New<TdxGPRegion>(TRect{0, 0, 10, 10}));
  region->CombineRegionRect(TdxRectF(5, 0, 20, 10), gmUnion);
  TOwnedPtr<TdxGPRegion> hole(rtl::New<TdxGPRegion>(TdxRectF(8, 0, 12, 10)));
  region->CombineRegionRegion(hole.get(), gmExclude);
  EXPECT_TRUE(RegionHas(region.get(), 2, 5));
  EXPECT_FALSE(RegionHas(region.get(), 10, 5));
  EXPECT_TRUE(RegionHas(region.get(), 15, 5));
  TOwnedPtr<TdxGPRegion> copy(
      rtl::NewWith<TdxGPRegion>([&](TdxGPRegion* R) { R->CreateFromRegion(region->Handle()); }));
  region->CombineRegionRect(TRect{0, 0, 100, 100}, gmIntersect);
  EXPECT_TRUE(RegionHas(copy.get(), 15, 5));

  auto infinite = Make<TdxGPRegion>();
  EXPECT_TRUE(RegionHas(infinite.get(), -100000, 100000));
  auto path = Make<TdxGPPath>();
  path->AddEllipse(TdxRectF(0, 0, 100, 100));
  TOwnedPtr<TdxGPRegion> round(rtl::New<TdxGPRegion>(path->Handle()));
  EXPECT_TRUE(RegionHas(round.get(), 50, 50));
  EXPECT_FALSE(RegionHas(round.get(), 5, 5));
}

TEST_F(dxGPClasses, StringFormatSettingsLiveInTheNativeFormat)
{
  TOwnedPtr<TdxGPStringFormat> format(
      rtl::New<TdxGPStringFormat>(int(Gdiplus::StringFormatFlagsNoWrap), WORD(LANG_NEUTRAL)));
  EXPECT_EQ(format->GetFormatFlags(), Gdiplus::StringFormatFlagsNoWrap);
  format->SetAlignment(StringAlignmentCenter);
  format->SetLineAlignment(StringAlignmentFar);
  format->SetHotkeyPrefix(HotkeyPrefixShow);
  format->SetTrimming(StringTrimmingEllipsisCharacter);
  format->SetFormatFlags(Gdiplus::StringFormatFlagsDirectionVertical);
  const float stops[] = {10, 20, 30};
  format->SetTabStops(5, 3, stops);
  format->SetDigitSubstitution(LANG_ARABIC, StringDigitSubstituteNational);
  const TdxGpCharacterRange ranges[] = {{0, 1}, {2, 3}};
  format->SetMeasurableCharacterRanges(2, ranges);

  TOwnedPtr<TdxGPStringFormat> clone(format->Clone());
  auto assigned = Make<TdxGPStringFormat>();
  assigned->Assign(format.get());
  for (TdxGPStringFormat* f : {format.get(), clone.get(), assigned.get()}) {
    EXPECT_EQ(f->GetAlignment(), StringAlignmentCenter);
    EXPECT_EQ(f->GetLineAlignment(), StringAlignmentFar);
    EXPECT_EQ(f->GetHotkeyPrefix(), HotkeyPrefixShow);
    EXPECT_EQ(f->GetTrimming(), StringTrimmingEllipsisCharacter);
    EXPECT_EQ(f->GetFormatFlags(), Gdiplus::StringFormatFlagsDirectionVertical);
    ASSERT_EQ(f->GetTabStopCount(), 3);
    float first = 0;
    const std::vector<float> readStops = f->GetTabStops(3, first);
    EXPECT_FLOAT_EQ(first, 5);
    EXPECT_EQ(readStops, (std::vector<float>{10, 20, 30}));
    EXPECT_EQ(f->DigitSubstitutionLanguage(), LANG_ARABIC);
    EXPECT_EQ(f->DigitSubstitutionMethod(), StringDigitSubstituteNational);
    EXPECT_EQ(f->MeasurableCharacterRangeCount(), 2);
  }
}

// --------------------------------------------------------------------------
// Font families and fonts

TEST_F(dxGPClasses, FontFamiliesByNameAndGeneric)
{
  TOwnedPtr<TdxGPFontFamily> tahoma(rtl::New<TdxGPFontFamily>(rtl::String(L"Tahoma")));
  ASSERT_NE(tahoma->Handle(), nullptr);
  EXPECT_EQ(tahoma->Name(), L"Tahoma");
  EXPECT_GT(tahoma->GetEmHeight(0), 0);
  EXPECT_GT(tahoma->GetLineSpacing(0), tahoma->GetCellAscent(0));
  EXPECT_GT(tahoma->GetCellDescent(0), 0);
  EXPECT_TRUE(tahoma->IsStyleAvailable(0));
  TOwnedPtr<TdxGPFontFamily> clone(tahoma->Clone());
  EXPECT_EQ(clone->Name(), L"Tahoma");

  TOwnedPtr<TdxGPFontFamily> missing(rtl::New<TdxGPFontFamily>(rtl::String(L"Kv No Such Family")));
  EXPECT_EQ(missing->Handle(), nullptr);

  TdxGPFontFamily* sans = TdxGPFontFamily::GenericSansSerif();
  ASSERT_NE(sans, nullptr);
  EXPECT_EQ(TdxGPFontFamily::GenericSansSerif(), sans);
  EXPECT_FALSE(sans->Name().empty());
  // The test prefix has no serif font: the library then reports the family
  // as not found, and the wrapper passes that on.
  try {
    EXPECT_FALSE(TdxGPFontFamily::GenericSerif()->Name().empty());
  } catch (const EdxGdipException& E) {
    EXPECT_EQ(E.GetStatus(), FontFamilyNotFound);
  }
  TdxGPFontFamily::FreeGenericFamilies();
}

TEST_F(dxGPClasses, FontsFromNamesFamiliesAndStyles)
{
  TOwnedPtr<TdxGPFont> font(rtl::New<TdxGPFont>(rtl::String(L"Tahoma"), 12.0f, 2));
  EXPECT_EQ(font->Name(), L"Tahoma");
  EXPECT_TRUE(font->Italic());
  EXPECT_FALSE(font->Bold());
  EXPECT_FALSE(font->Underline());
  EXPECT_FALSE(font->Strikeout());
  EXPECT_FLOAT_EQ(font->Size(), 12);
  EXPECT_FLOAT_EQ(font->SizeInPoints(), 12);
  EXPECT_EQ(font->Unit(), guPoint);
  EXPECT_EQ(font->GdiCharSet(), DEFAULT_CHARSET);
  EXPECT_FALSE(font->GdiVerticalFont());
  EXPECT_FALSE(font->IsSystemFont());
  font->SetSystemFontName(L"MessageFont");
  EXPECT_TRUE(font->IsSystemFont());

  TOwnedPtr<TdxGPFont> bold(rtl::New<TdxGPFont>(font.get(), 1 | 4 | 8));
  EXPECT_TRUE(bold->Bold() && bold->Underline() && bold->Strikeout());
  EXPECT_EQ(bold->FontFamily(), font->FontFamily());
  EXPECT_FLOAT_EQ(bold->Size(), 12);

  TOwnedPtr<TdxGPFont> pixels(rtl::New<TdxGPFont>(font->FontFamily(), 16.0f, guPixel));
  EXPECT_EQ(pixels->Unit(), guPixel);
  EXPECT_GT(pixels->SizeInPoints(), 0);
  EXPECT_NEAR(pixels->GetHeight(96.0f), pixels->GetHeight(), 0.5f);
  EXPECT_EQ(pixels->Height(), static_cast<int>(std::ceil(pixels->GetHeight(96.0f))));

  TOwnedPtr<TdxGPFont> clone(font->Clone());
  EXPECT_EQ(clone->Name(), L"Tahoma");
  EXPECT_TRUE(clone->Italic());
  EXPECT_NE(clone->Handle(), font->Handle());
}

TEST_F(dxGPClasses, FontConstructionFailuresCarryTheLibraryStatus)
{
  struct Case {
    const char* What;
    std::function<TdxGPFont*()> Make;
    Status Expected;
  };
  const float nan = std::nanf("");
  const Case cases[] = {
      {"unknown name", [] { return rtl::New<TdxGPFont>(rtl::String(L"Kv No Such Family"), 10.0f); }, InvalidParameter},
      {"zero size", [] { return rtl::New<TdxGPFont>(rtl::String(L"Tahoma"), 0.0f); }, InvalidParameter},
      {"NaN size", [nan] { return rtl::New<TdxGPFont>(rtl::String(L"Tahoma"), nan, 0, guPoint, BYTE(1), false); },
       InvalidParameter},
      {"no family", [] { return rtl::New<TdxGPFont>(static_cast<TdxGPFontFamily*>(nullptr), 10.0f); },
       FontFamilyNotFound},
  };
  for (const Case& c : cases) {
    try {
      rtl::Free(c.Make());
      ADD_FAILURE() << c.What;
    } catch (const EdxGdipException& E) {
      EXPECT_EQ(E.GetStatus(), c.Expected) << c.What;
    }
  }
  // SafeCreate falls back to the generic family.
  TOwnedPtr<TdxGPFont> safe(TdxGPFont::SafeCreate(L"Kv No Such Family", 1, 10, guPixel, 0));
  EXPECT_EQ(safe->FontFamily(), TdxGPFontFamily::GenericSansSerif());
  EXPECT_TRUE(safe->Bold());
  TOwnedPtr<TdxGPFont> safeTahoma(TdxGPFont::SafeCreate(L"@Tahoma", 0, 10, guPixel, 0));
  EXPECT_EQ(safeTahoma->Name(), L"Tahoma");
  safe.reset();
  TdxGPFontFamily::FreeGenericFamilies();
}

TEST_F(dxGPClasses, VerticalFontNamesKeepTheirPrefixInTheLogFont)
{
  TOwnedPtr<TdxGPFont> font(rtl::New<TdxGPFont>(rtl::String(L"@Tahoma"), 10.0f));
  EXPECT_EQ(font->OriginalFontName(), L"@Tahoma");
  EXPECT_EQ(font->Name(), L"Tahoma");
  EXPECT_TRUE(font->GdiVerticalFont());
  LOGFONTW logFont{};
  font->ToLogFont(logFont);
  EXPECT_STREQ(logFont.lfFaceName, L"@Tahoma");
  EXPECT_EQ(logFont.lfCharSet, DEFAULT_CHARSET);
  EXPECT_THROW(font->ToLogFont(logFont, nullptr), EdxGdipException);

  struct Case {
    const wchar_t* Name;
    bool Vertical;
    const wchar_t* Stripped;
  };
  const Case cases[] = {{L"", false, L""}, {L"@", true, L"@"}, {L"@A", true, L"A"}, {L"A@", false, L"A@"}};
  for (const Case& c : cases) {
    EXPECT_EQ(TdxGPFont::IsVerticalName(c.Name), c.Vertical) << c.Name;
    EXPECT_EQ(TdxGPFont::StripVerticalName(c.Name), c.Stripped) << c.Name;
  }
}

TEST_F(dxGPClasses, FontsFromPlatformFontsAndBack)
{
  LOGFONTW source{};
  source.lfHeight = -20;
  source.lfWeight = FW_BOLD;
  source.lfCharSet = ANSI_CHARSET;
  wcscpy(source.lfFaceName, L"Tahoma");
  HFONT handle = CreateFontIndirectW(&source);
  TOwnedPtr<TdxGPFont> font(TdxGPFont::FromHFont(handle));
  DeleteObject(handle);
  EXPECT_EQ(font->Name(), L"Tahoma");
  EXPECT_TRUE(font->Bold());
  EXPECT_EQ(font->GdiCharSet(), ANSI_CHARSET);

  HFONT back = font->ToHfont();
  ASSERT_NE(back, nullptr);
  LOGFONTW readBack{};
  GetObjectW(back, sizeof(readBack), &readBack);
  DeleteObject(back);
  EXPECT_STREQ(readBack.lfFaceName, L"Tahoma");
  EXPECT_EQ(readBack.lfHeight, -20);
  EXPECT_GE(readBack.lfWeight, FW_BOLD);

  HDC dc = CreateCompatibleDC(nullptr);
  HFONT selected = CreateFontIndirectW(&source);
  HGDIOBJ old = SelectObject(dc, selected);
  TOwnedPtr<TdxGPFont> fromDC(TdxGPFont::FromHdc(dc));
  SelectObject(dc, old);
  DeleteObject(selected);
  DeleteDC(dc);
  EXPECT_EQ(fromDC->Name(), L"Tahoma");
  EXPECT_EQ(fromDC->GdiCharSet(), 0);
}

TEST_F(dxGPClasses, FontHashCombinesSizeUnitAndStyle)
{
  TOwnedPtr<TdxGPFont> font(rtl::New<TdxGPFont>(rtl::String(L"Tahoma"), 12.0f, 3, guPixel));
  const std::uint32_t expected = std::rotl(12u, 7) ^ std::rotl(static_cast<std::uint32_t>(guPixel), 26) ^
                                 std::rotl(3u, 13);
  EXPECT_EQ(static_cast<std::uint32_t>(font->GetHashCode()), expected);
}

// --------------------------------------------------------------------------
// Memory stream

class TGpClassesTestMemoryStream : public TdxGPMemoryStream {
  RTL_CLASS(TGpClassesTestMemoryStream, TdxGPMemoryStream)

 public:
  int Capacity() const { return GetCapacity(); }
};

TEST_F(dxGPClasses, MemoryStreamGrowsExactlyInTheLibrarysMemory)
{
  auto stream = Make<TGpClassesTestMemoryStream>();
  const char ten[] = "0123456789";
  stream->Write(ten, 10);
  EXPECT_EQ(stream->Capacity(), 10);
  stream->Write("A", 1);
  EXPECT_EQ(stream->Capacity(), 11);
  EXPECT_EQ(std::memcmp(stream->Memory(), "0123456789A", 11), 0);
  stream->SetSize(4);
  stream->Clear();
  EXPECT_EQ(stream->Capacity(), 0);
  EXPECT_EQ(stream->Memory(), nullptr);
}


}  // namespace
