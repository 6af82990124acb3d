#include "core/cxGeometry.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

namespace {

using Ints = std::array<long, 4>;
using Floats = std::array<float, 4>;

Ints GeometryAsArray(const TRect& R)
{
  return {R.left, R.top, R.right, R.bottom};
}

Floats GeometryAsArray(const TdxRectF& R)
{
  return {R.Left, R.Top, R.Right, R.Bottom};
}

std::array<long, 2> GeometryAsArray(const TPoint& P)
{
  return {P.x, P.y};
}

std::array<long, 2> GeometryAsArray(const TSize& S)
{
  return {S.cx, S.cy};
}

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();

rtl::TOwnedPtr<TdxMatrix> NewMatrix()
{
  return rtl::TOwnedPtr<TdxMatrix>(rtl::New<TdxMatrix>());
}

void ExpectNear(const TdxPointF& Actual, float X, float Y)
{
  EXPECT_NEAR(Actual.X, X, 1E-4) << "Y = " << Actual.Y;
  EXPECT_NEAR(Actual.Y, Y, 1E-4) << "X = " << Actual.X;
}

}  // namespace

TEST(cxGeometry, PointTestsAreHalfOpen)
{
  struct Case {
    TRect R;
    int X, Y;
    bool Inside;
  };
  const Case Cases[] = {
    {{0, 0, 10, 10}, 0, 0, true},
    {{0, 0, 10, 10}, 0, 5, true},
    {{0, 0, 10, 10}, 9, 9, true},
    {{0, 0, 10, 10}, 10, 5, false},
    {{0, 0, 10, 10}, 5, 10, false},
    {{0, 0, 10, 10}, -1, 5, false},
    {{0, 0, 10, 10}, 5, -1, false},
    {{5, 5, 5, 5}, 5, 5, false},
    {{10, 10, 0, 0}, 5, 5, false},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(testing::PrintToString(GeometryAsArray(C.R)) + " " + std::to_string(C.X) + "," + std::to_string(C.Y));
    EXPECT_EQ(cxRectContainsXY(C.R, C.X, C.Y), C.Inside);
    EXPECT_EQ(cxRectContainsPoint(C.R, TPoint{C.X, C.Y}), C.Inside);
  }
}

TEST(cxGeometry, ContainedRectanglesMayTouchTheEdges)
{
  const TRect Bounds{0, 0, 10, 10};
  EXPECT_TRUE(cxRectContainsRect(Bounds, Bounds));
  EXPECT_TRUE(cxRectContainsRect(Bounds, TRect{2, 2, 10, 10}));
  EXPECT_FALSE(cxRectContainsRect(Bounds, TRect{2, 2, 11, 10}));
  EXPECT_FALSE(cxRectContainsRect(Bounds, TRect{-1, 2, 5, 5}));
}

TEST(cxGeometry, AreaNeedsLeftBelowRightAndTopBelowBottom)
{
  struct Case {
    Floats R;
    bool NoArea;
  };
  const Case Cases[] = {
    {{0, 0, 1, 1}, false},
    {{0, 0, 0, 1}, true},
    {{0, 0, 1, 0}, true},
    {{1, 0, 0, 1}, true},
    {{0, 1, 1, 0}, true},
    {{-2, -2, -1, -1}, false},
    {{NaN, 0, 1, 1}, true},
    {{0, NaN, 1, 1}, true},
    {{0, 0, NaN, 1}, true},
    {{0, 0, 1, NaN}, true},
  };
  for (const Case& C : Cases) {
    const TdxRectF R(C.R[0], C.R[1], C.R[2], C.R[3]);
    SCOPED_TRACE(testing::PrintToString(C.R));
    EXPECT_EQ(cxRectFHasNoArea(R), C.NoArea);
    EXPECT_EQ(R.IsEmpty(), C.NoArea);
    if (!std::isnan(C.R[0] + C.R[1] + C.R[2] + C.R[3])) {
      EXPECT_EQ(cxRectHasNoArea(TRect{long(C.R[0]), long(C.R[1]), long(C.R[2]), long(C.R[3])}), C.NoArea);
    }
  }
}

TEST(cxGeometry, FloatEqualityToleratesTheRelativeOrAbsoluteError)
{
  struct Case {
    float A, B;
    bool Equal;
  };
  const Case Cases[] = {
    {1.00001f, 1.00002f, true},
    {0.0001f, 0.0003f, false},
    {0, 0.00005f, true},
    {0, -0.00005f, true},
    // 1E-4 of the smaller magnitude once that exceeds the absolute 1E-4.
    {1024, 1024.09375f, true},
    {1024, 1024.125f, false},
    {-1024, -1024.09375f, true},
    {1024, -1024, false},
    // Exactly the tolerance still counts as equal.
    {10000, 10001, true},
    {10000, 10001.001f, false},
    {NaN, NaN, false},
    {NaN, 0, false},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(testing::PrintToString(C.A) + " vs " + testing::PrintToString(C.B));
    EXPECT_EQ(TdxPointF(C.A, 7) == TdxPointF(C.B, 7), C.Equal);
    EXPECT_EQ(TdxPointF(7, C.A) == TdxPointF(7, C.B), C.Equal);
    EXPECT_EQ(TdxPointF(C.A, 7) != TdxPointF(C.B, 7), !C.Equal);
    EXPECT_EQ(cxPointFsEqual(TdxPointF(C.B, 0), TdxPointF(C.A, 0)), C.Equal);
    for (int Side = 0; Side < 4; ++Side) {
      Floats A{1, 2, 3, 4}, B{1, 2, 3, 4};
      A[Side] = C.A;
      B[Side] = C.B;
      EXPECT_EQ(TdxRectF(A[0], A[1], A[2], A[3]) == TdxRectF(B[0], B[1], B[2], B[3]), C.Equal) << "side " << Side;
    }
  }
  EXPECT_TRUE(TdxRectF(0.00005f, -0.0001f, 0.0001f, 0).IsZero());
  EXPECT_FALSE(TdxRectF(0, 0, 0, 0.0002f).IsZero());
}

TEST(cxGeometry, IntersectionNeedsAreaButTheFloatClipKeepsAnEdge)
{
  struct Case {
    TRect A, B;
    bool Overlap;
    Ints Expected;
    Floats ExpectedF;
  };
  const Case Cases[] = {
    {{0, 0, 10, 10}, {5, 5, 15, 15}, true, {5, 5, 10, 10}, {5, 5, 10, 10}},
    {{0, 0, 10, 10}, {2, 3, 4, 5}, true, {2, 3, 4, 5}, {2, 3, 4, 5}},
    // Sharing only an edge: no area, but the float clip keeps the edge.
    {{0, 0, 10, 10}, {10, 0, 20, 10}, false, {0, 0, 0, 0}, {10, 0, 10, 10}},
    {{0, 0, 10, 10}, {0, 10, 10, 20}, false, {0, 0, 0, 0}, {0, 10, 10, 10}},
    {{0, 0, 10, 10}, {10, 10, 20, 20}, false, {0, 0, 0, 0}, {10, 10, 10, 10}},
    {{0, 0, 10, 10}, {11, 0, 20, 10}, false, {0, 0, 0, 0}, {0, 0, 0, 0}},
    {{0, 0, 10, 10}, {0, 12, 10, 20}, false, {0, 0, 0, 0}, {0, 0, 0, 0}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(testing::PrintToString(GeometryAsArray(C.A)) + " x " + testing::PrintToString(GeometryAsArray(C.B)));
    TRect Result{-7, -7, -7, -7};
    EXPECT_EQ(cxRectIntersection(Result, C.A, C.B), C.Overlap);
    EXPECT_EQ(GeometryAsArray(Result), C.Expected);
    EXPECT_EQ(cxRectsOverlap(C.A, C.B), C.Overlap);
    EXPECT_EQ(cxRectsOverlap(C.B, C.A), C.Overlap);
    TdxRectF F(C.A);
    F.Intersect(TdxRectF(C.B));
    EXPECT_EQ(GeometryAsArray(F), C.ExpectedF);
  }
  // A NaN on either side, in any coordinate, leaves no overlap.
  for (int Side = 0; Side < 8; ++Side) {
    Floats A{0, 0, 10, 10}, B{2, 2, 5, 5};
    (Side < 4 ? A : B)[Side % 4] = NaN;
    TdxRectF F(A[0], A[1], A[2], A[3]);
    F.Intersect(TdxRectF(B[0], B[1], B[2], B[3]));
    EXPECT_EQ(GeometryAsArray(F), (Floats{0, 0, 0, 0})) << "coordinate " << Side;
  }
  const float Inf = std::numeric_limits<float>::infinity();
  TdxRectF Unbounded(-Inf, -Inf, Inf, Inf);
  Unbounded.Intersect(TdxRectF(2, 2, 5, 5));
  EXPECT_EQ(GeometryAsArray(Unbounded), (Floats{2, 2, 5, 5}));
}

TEST(cxGeometry, UnionIgnoresAnEmptySecondRectangleOnly)
{
  struct Case {
    TRect A, B;
    Ints Expected;
  };
  const Case Cases[] = {
    {{0, 0, 10, 10}, {5, 5, 20, 8}, {0, 0, 20, 10}},
    {{0, 0, 10, 10}, {-5, 20, 0, 30}, {-5, 0, 10, 30}},
    {{0, 0, 10, 10}, {20, 20, 20, 30}, {0, 0, 10, 10}},
    {{0, 0, 10, 10}, {20, 20, 30, 20}, {0, 0, 10, 10}},
    {{0, 0, 10, 10}, {30, 30, 20, 40}, {0, 0, 10, 10}},
    // The first rectangle always counts, empty or not.
    {{0, 0, 0, 0}, {5, 5, 10, 10}, {0, 0, 10, 10}},
    // Spans wider than the integer range: area by the order of the sides.
    {{0, 0, 10, 10}, {INT_MIN, -5, INT_MAX, 5}, {INT_MIN, -5, INT_MAX, 10}},
    {{0, 0, 10, 10}, {-5, INT_MIN, 5, INT_MAX}, {-5, INT_MIN, 10, INT_MAX}},
    {{0, 0, 10, 10}, {INT_MAX, -5, INT_MIN, 5}, {0, 0, 10, 10}},
    {{0, 0, 10, 10}, {-5, INT_MAX, 5, INT_MIN}, {0, 0, 10, 10}},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(GeometryAsArray(cxRectUnionNonEmpty(C.A, C.B)), C.Expected) << testing::PrintToString(GeometryAsArray(C.B));
}

TEST(cxGeometry, NormalisationOrdersEachAxis)
{
  const Ints Cases[][2] = {
    {{0, 0, 10, 10}, {0, 0, 10, 10}},
    {{10, 0, 0, 10}, {0, 0, 10, 10}},
    {{0, 10, 10, 0}, {0, 0, 10, 10}},
    {{10, 10, -5, -5}, {-5, -5, 10, 10}},
  };
  for (const auto& C : Cases) {
    const TRect R{C[0][0], C[0][1], C[0][2], C[0][3]};
    EXPECT_EQ(GeometryAsArray(cxRectNormalized(R)), C[1]);
    TdxRectF F(R);
    F.Normalize();
    EXPECT_EQ(GeometryAsArray(cxRectFToRect(F, true)), C[1]);
  }
}

TEST(cxGeometry, FloatToIntegerTruncatesOrRoundsHalvesToEven)
{
  struct Case {
    float V;
    long Rounded, Truncated;
  };
  const Case Cases[] = {
    {0.5f, 0, 0},
    {1.5f, 2, 1},
    {2.5f, 2, 2},
    {3.5f, 4, 3},
    {-0.5f, 0, 0},
    {-1.5f, -2, -1},
    {-2.5f, -2, -2},
    {2.4999f, 2, 2},
    {2.5001f, 3, 2},
    {-2.7f, -3, -2},
    // Out of range and NaN saturate instead of faulting.
    {1E10f, INT_MAX, INT_MAX},
    {-1E10f, INT_MIN, INT_MIN},
    {NaN, 0, 0},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(testing::PrintToString(C.V));
    EXPECT_EQ(GeometryAsArray(cxPointFToPoint(TdxPointF(C.V, 1), false)), (std::array<long, 2>{C.Rounded, 1}));
    EXPECT_EQ(GeometryAsArray(cxPointFToPoint(TdxPointF(1, C.V), true)), (std::array<long, 2>{1, C.Truncated}));
    EXPECT_EQ(GeometryAsArray(cxSizeFToSize(TdxSizeF{1, C.V}, false)), (std::array<long, 2>{1, C.Rounded}));
    EXPECT_EQ(GeometryAsArray(cxSizeFToSize(TdxSizeF{C.V, 1}, true)), (std::array<long, 2>{C.Truncated, 1}));
    const TPoint Implicit = TdxPointF(C.V, C.V);
    EXPECT_EQ(GeometryAsArray(Implicit), (std::array<long, 2>{C.Rounded, C.Rounded}));
  }
  const TdxRectF R(0.5f, 1.5f, 2.5f, -0.5f);
  EXPECT_EQ(GeometryAsArray(cxRectFToRect(R, false)), (Ints{0, 2, 2, 0}));
  EXPECT_EQ(GeometryAsArray(cxRectFToRect(R, true)), (Ints{0, 1, 2, 0}));
}

TEST(cxGeometry, MarginsAreWidthsNotCoordinates)
{
  const TRect R{10, 20, 110, 220};
  const TRect Margins{1, 2, 3, 4};
  EXPECT_EQ(GeometryAsArray(cxRectDeflateByMargins(R, Margins)), (Ints{11, 22, 107, 216}));
  EXPECT_EQ(GeometryAsArray(cxRectInflateByMargins(R, Margins)), (Ints{9, 18, 113, 224}));
  EXPECT_EQ(GeometryAsArray(cxRectInflateByMargins(cxRectDeflateByMargins(R, Margins), Margins)), GeometryAsArray(R));
  EXPECT_EQ(cxMarginsHorzSum(Margins), 4);
  EXPECT_EQ(cxMarginsVertSum(Margins), 6);
  EXPECT_EQ(cxRectGetWidth(cxRectDeflateByMargins(R, Margins)), cxRectGetWidth(R) - cxMarginsHorzSum(Margins));
  EXPECT_EQ(GeometryAsArray(cxRectInflateXY(R, 1, 2)), (Ints{9, 18, 111, 222}));
  EXPECT_EQ(GeometryAsArray(cxRectShiftSidesByRect(R, Margins)), (Ints{11, 22, 113, 224}));
}

TEST(cxGeometry, SidesAndOffsets)
{
  const TRect R{10, 20, 30, 50};
  EXPECT_EQ(GeometryAsArray(cxRectSetLeftAndWidth(R, 5, 7)), (Ints{5, 20, 12, 50}));
  EXPECT_EQ(GeometryAsArray(cxRectSetRightAndWidth(R, 5, 7)), (Ints{-2, 20, 5, 50}));
  EXPECT_EQ(GeometryAsArray(cxRectSetTopAndHeight(R, 5, 7)), (Ints{10, 5, 30, 12}));
  EXPECT_EQ(GeometryAsArray(cxRectSetBottomAndHeight(R, 5, 7)), (Ints{10, -2, 30, 5}));
  EXPECT_EQ(GeometryAsArray(cxRectWithSize(R, 1, 2)), (Ints{10, 20, 11, 22}));
  EXPECT_EQ(GeometryAsArray(cxRectMoveToPoint(R, TPoint{-1, -2})), (Ints{-1, -2, 19, 28}));
  EXPECT_EQ(GeometryAsArray(cxRectMoveToOrigin(R)), (Ints{0, 0, 20, 30}));
  EXPECT_EQ(GeometryAsArray(cxRectOffsetBy(R, 1, 2, true)), (Ints{11, 22, 31, 52}));
  EXPECT_EQ(GeometryAsArray(cxRectOffsetBy(R, 1, 2, false)), (Ints{9, 18, 29, 48}));
  EXPECT_EQ(GeometryAsArray(cxRectOffsetByPoint(R, TPoint{1, 2}, false)), (Ints{9, 18, 29, 48}));
  EXPECT_EQ(GeometryAsArray(cxPointOffsetByPoint(TPoint{5, 5}, TPoint{1, 2}, false)), (std::array<long, 2>{4, 3}));
  ExpectNear(cxPointFOffsetBy(TdxPointF(5, 5), 0.5f, 1, false), 4.5f, 4);
  EXPECT_EQ(GeometryAsArray(cxRectTranspose(R)), (Ints{20, 10, 50, 30}));
}

TEST(cxGeometry, CentringHalvesTowardsMinusInfinity)
{
  EXPECT_EQ(GeometryAsArray(cxRectCenterBox(TRect{0, 0, 10, 10}, 5, 5)), (Ints{2, 2, 7, 7}));
  EXPECT_EQ(GeometryAsArray(cxRectCenterBox(TRect{0, 0, -10, -10}, 5, 5)), (Ints{-8, -8, -3, -3}));
  EXPECT_EQ(GeometryAsArray(cxRectCenterBoxOfSize(TRect{10, 20, 30, 30}, TSize{4, 20})), (Ints{18, 15, 22, 35}));
  EXPECT_EQ(GeometryAsArray(cxRectCenterHorzBox(TRect{0, 1, 9, 2}, 4)), (Ints{2, 1, 6, 2}));
  EXPECT_EQ(GeometryAsArray(cxRectCenterVertBox(TRect{1, 0, 2, 9}, 4)), (Ints{1, 2, 2, 6}));
  EXPECT_EQ(GeometryAsArray(cxRectCenterPoint(TRect{0, 0, 5, 5})), (std::array<long, 2>{2, 2}));
  EXPECT_EQ(GeometryAsArray(cxRectCenterPoint(TRect{-5, -5, 0, 0})), (std::array<long, 2>{-3, -3}));
  // A rectangle reaching the end of the integer range still has a centre.
  EXPECT_EQ(GeometryAsArray(cxRectCenterPoint(TRect{1, 0, INT_MAX, INT_MAX})),
    (std::array<long, 2>{INT_MAX / 2 + 1, INT_MAX / 2}));
  ExpectNear(cxRectFCenterPoint(TdxRectF(-5, -5, 0, 0)), -2.5f, -2.5f);
}

TEST(cxGeometry, FitAspectTruncatesTheLargestFittingSize)
{
  struct Case {
    TSize S;
    int A, B;
    std::array<long, 2> Expected;
  };
  const Case Cases[] = {
    {{100, 100}, 2, 1, {100, 50}},
    {{100, 100}, 1, 2, {50, 100}},
    {{100, 100}, 3, 1, {100, 33}},
    {{100, 100}, 1, 3, {33, 100}},
    {{100, 30}, 3, 1, {90, 30}},
    {{100, 100}, 0, 1, {100, 100}},
    {{100, 100}, 1, 0, {100, 100}},
    {{100, 100}, -1, 1, {100, 100}},
    {{0, 100}, 1, 1, {0, 100}},
    {{100, -5}, 1, 1, {100, -5}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(testing::PrintToString(GeometryAsArray(C.S)) + " " + std::to_string(C.A) + ":" + std::to_string(C.B));
    EXPECT_EQ(GeometryAsArray(cxSizeFitAspect(C.S, C.A, C.B)), C.Expected);
    EXPECT_EQ(GeometryAsArray(cxSizeFitAspectOfSize(C.S, TSize{C.A, C.B})), C.Expected);
  }
  EXPECT_EQ(GeometryAsArray(cxRectFitAspect(TRect{10, 20, 110, 120}, 2, 1)), (Ints{10, 20, 110, 70}));
}

TEST(cxGeometry, ZoomIntoFitsAndCentresAlongTheSpareAxis)
{
  struct Case {
    Floats Self, Bounds, Expected;
  };
  const Case Cases[] = {
    {{0, 0, 20, 10}, {0, 0, 100, 100}, {0, 25, 100, 75}},
    {{0, 0, 10, 20}, {10, 10, 110, 60}, {47.5f, 10, 72.5f, 60}},
    {{0, 0, 10, 10}, {0, 0, 50, 50}, {0, 0, 50, 50}},
    // Away from the origin the offset adds to Self's own position.
    {{5, 5, 25, 15}, {0, 0, 100, 100}, {5, 30, 105, 80}},
    // No height on either side: Self unchanged.
    {{0, 0, 10, 0}, {0, 0, 50, 50}, {0, 0, 10, 0}},
    {{0, 0, 10, 10}, {0, 0, 50, 0}, {0, 0, 10, 10}},
  };
  for (const Case& C : Cases) {
    const TdxRectF Self(C.Self[0], C.Self[1], C.Self[2], C.Self[3]);
    const TdxRectF Bounds(C.Bounds[0], C.Bounds[1], C.Bounds[2], C.Bounds[3]);
    EXPECT_EQ(GeometryAsArray(Self.ZoomInto(Bounds)), C.Expected) << testing::PrintToString(C.Self);
  }
  EXPECT_EQ(GeometryAsArray(TdxRectF(0, 0, 20, 10).ZoomInto(TdxSizeF{100, 100})), (Floats{0, 25, 100, 75}));
}

TEST(cxGeometry, PointsBoundsPutTheExtremesOnTheEdges)
{
  const std::vector<TPoint> Points{{5, 5}, {-2, 7}, {9, 1}, {100, 100}};
  EXPECT_EQ(GeometryAsArray(cxPointsBounds(Points, -1)), (Ints{0, 0, 0, 0}));
  EXPECT_EQ(GeometryAsArray(cxPointsBounds(Points, 0)), (Ints{5, 5, 5, 5}));
  EXPECT_EQ(GeometryAsArray(cxPointsBounds(Points, 2)), (Ints{-2, 1, 9, 7}));
  EXPECT_FALSE(cxRectContainsPoint(cxPointsBounds(Points, 2), Points[2]));
  // An index past the end reads the whole array and no further.
  EXPECT_EQ(GeometryAsArray(cxPointsBounds(Points, 99)), (Ints{-2, 1, 100, 100}));
  EXPECT_EQ(GeometryAsArray(cxPointsBounds({}, 3)), (Ints{0, 0, 0, 0}));

  const std::vector<TdxPointF> PointsF{{0.5f, 5}, {-2, 7.25f}, {9, 1}};
  EXPECT_EQ(GeometryAsArray(cxPointFsBounds(PointsF, -1)), (Floats{0, 0, 0, 0}));
  EXPECT_EQ(GeometryAsArray(cxPointFsBounds(PointsF, 0)), (Floats{0.5f, 5, 0.5f, 5}));
  EXPECT_EQ(GeometryAsArray(cxPointFsBounds(PointsF, 2)), (Floats{-2, 1, 9, 7.25f}));
}

TEST(cxGeometry, ScalingGoesThroughMulDiv)
{
  EXPECT_EQ(GeometryAsArray(cxRectScaleBy(TRect{0, 0, 3, 5}, 3, 2)), (Ints{0, 0, 5, 8}));
  EXPECT_EQ(GeometryAsArray(cxRectScaleBy(TRect{-3, -5, 1, 1}, 3, 2)), (Ints{-5, -8, 2, 2}));
  EXPECT_EQ(GeometryAsArray(cxRectScaleXY(TRect{2, 2, 4, 4}, 3, 2, 1, 2)), (Ints{3, 1, 6, 2}));
  EXPECT_EQ(GeometryAsArray(cxSizeScale(TSize{3, 5}, 3, 2)), (std::array<long, 2>{5, 8}));
  EXPECT_EQ(GeometryAsArray(cxPointScale(TPoint{3, -5}, 3, 2)), (std::array<long, 2>{5, -8}));
}

TEST(cxGeometry, XFormBuilders)
{
  auto M = NewMatrix();
  struct Case {
    XFORM X;
    TdxPointF P;
    float ExpectedX, ExpectedY;
  };
  const Case Cases[] = {
    {cxXFormIdentity(), {3, 4}, 3, 4},
    {cxXFormMake(1, 2, 3, 4, 5, 6), {1, 1}, 1 + 3 + 5, 2 + 4 + 6},
    {cxXFormTranslation(10, -2), {3, 4}, 13, 2},
    {cxXFormScaling(2, -3), {3, 4}, 6, -12},
    {cxXFormRotation(90), {1, 0}, 0, 1},
    {cxXFormRotation(90), {0, 1}, -1, 0},
    {cxXFormRotation(180), {1, 2}, -1, -2},
    {cxXFormMirror(true, false, 5, 10), {3, 4}, 7, 4},
    {cxXFormMirror(false, true, 5, 10), {3, 4}, 3, 16},
    {cxXFormMirror(true, true, 5, 10), {3, 4}, 7, 16},
    {cxXFormMirror(false, false, 5, 10), {3, 4}, 3, 4},
    // The first transformation applies first.
    {cxXFormCombine(cxXFormTranslation(10, 0), cxXFormScaling(2, 2)), {0, 0}, 20, 0},
    {cxXFormCombine(cxXFormScaling(2, 2), cxXFormTranslation(10, 0)), {0, 0}, 10, 0},
  };
  for (const Case& C : Cases) {
    M->Assign(C.X.eM11, C.X.eM12, C.X.eM21, C.X.eM22, C.X.eDx, C.X.eDy);
    ExpectNear(M->Transform(C.P), C.ExpectedX, C.ExpectedY);
  }
}

TEST(TdxMatrix, IdentityIsComparedExactly)
{
  auto M = NewMatrix();
  EXPECT_TRUE(M->IsIdentity());
  M->Rotate(360, moAppend);
  EXPECT_FALSE(M->IsIdentity());
  ExpectNear(M->Transform(TdxPointF(3, 4)), 3, 4);
  M->Reset();
  EXPECT_TRUE(M->IsIdentity());
}

TEST(TdxMatrix, OrderDecidesWhichStepAppliesFirst)
{
  struct Case {
    TdxTransformationOrder Order;
    float ExpectedX;
  };
  for (const Case& C : {Case{moAppend, 20}, Case{moPrepend, 10}}) {
    auto M = NewMatrix();
    M->Translate(10, 0, C.Order);
    M->Scale(2, 2, C.Order);
    ExpectNear(M->Transform(TdxPointF(0, 0)), C.ExpectedX, 0);

    auto Translation = NewMatrix();
    Translation->Translate(TdxPointF(10, 0), moAppend);
    auto Scaling = NewMatrix();
    Scaling->Scale(TdxPointF(2, 2), moAppend);
    Translation->Multiply(Scaling.get(), C.Order);
    ExpectNear(Translation->Transform(TdxPointF(0, 0)), C.ExpectedX, 0);
  }
}

TEST(TdxMatrix, RotationAboutAPivotIsTheSameInBothOrders)
{
  for (const TdxTransformationOrder Order : {moAppend, moPrepend}) {
    auto M = NewMatrix();
    M->Rotate(90, TPoint{10, 10}, Order);
    ExpectNear(M->Transform(TdxPointF(20, 10)), 10, 20);
    ExpectNear(M->Transform(TdxPointF(10, 10)), 10, 10);

    // On top of an existing translation the order matters again.
    auto Shifted = NewMatrix();
    Shifted->Translate(5, 0, moAppend);
    Shifted->Rotate(90, TdxPointF(10, 10), Order);
    if (Order == moAppend)
      ExpectNear(Shifted->Transform(TdxPointF(15, 10)), 10, 20);
    else
      ExpectNear(Shifted->Transform(TdxPointF(20, 10)), 15, 20);
  }
}

TEST(TdxMatrix, RectangleTransformMapsTwoCornersOnly)
{
  auto M = NewMatrix();
  M->Rotate(90, moAppend);
  const TdxRectF R = M->Transform(TdxRectF(0, 0, 10, 10));
  EXPECT_EQ(R, TdxRectF(0, 0, -10, 10));
  EXPECT_TRUE(R.IsEmpty());

  rtl::TOwnedPtr<TdxMatrix> Copy(rtl::NewWith<TdxMatrix>([&](TdxMatrix* C) { C->CreateEx(M.get()); }));
  EXPECT_EQ(Copy->Transform(TdxRectF(0, 0, 10, 10)), R);
  rtl::TOwnedPtr<TdxMatrix> Given(rtl::NewWith<TdxMatrix>([](TdxMatrix* C) { C->CreateEx(2, 0, 0, 3, 1, 1); }));
  EXPECT_EQ(Given->Transform(TdxRectF(1, 1, 2, 2)), TdxRectF(3, 4, 5, 7));
}
