#include "graphics/dxGDIPlusClasses.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

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

bool SameRect(const TRect& A, const TRect& B)
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
  EXPECT_TRUE(SameRect(mappedI, TRect{0, 0, -20, 10}));
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
      rtl::New<TdxGPPen>(TdxAlphaColor(0xFF000000), 2.0f, vcl::psDash, 1.0f));
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
  for (const Case& c : {Case{vcl::psDot, 2}, Case{vcl::psDashDot, 4}, Case{vcl::psDashDotDot, 6}}) {
    TOwnedPtr<TdxGPPen> pen(rtl::New<TdxGPPen>(TdxAlphaColor(0xFF000000), 1.0f, c.Style, 1.0f));
    dxGpCheck(dxGpFunctions.GdipGetPenDashCount(pen->Handle(), &count));
    EXPECT_EQ(count, c.Count) << c.Style;
  }
}

TEST_F(dxGPClasses, PenWidthIsNeverNegative)
{
  TOwnedPtr<TdxGPPen> pen(rtl::New<TdxGPPen>(TdxAlphaColor(0xFF000000), 2.0f, vcl::psSolid, 1.0f));
  EXPECT_FALSE(pen->IsEmpty());
  pen->SetWidth(-3);
  EXPECT_FLOAT_EQ(pen->GetWidth(), 0);
  EXPECT_TRUE(pen->IsEmpty());
}

TEST_F(dxGPClasses, PenDrawsWithItsBrushAndFollowsItsChanges)
{
  TGpTestSurface surface(20, 20);
  TOwnedPtr<TdxGPPen> pen(rtl::New<TdxGPPen>(TdxAlphaColor(0xFFFF0000), 3.0f, vcl::psSolid, 1.0f));
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

  TOwnedPtr<TdxGPPen> source(rtl::New<TdxGPPen>(TdxAlphaColor(0xFF00FF00), 5.0f, vcl::psSolid, 1.0f));
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

}  // namespace
