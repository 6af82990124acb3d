#include "core/cxGeometry.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstddef>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <numeric>

#include "core/dxCore.h"
#include "platform/rtl/ClassesComponents.h"

static_assert(sizeof(TdxRectF) == 2 * sizeof(TdxPointF) && offsetof(TdxRectF, Right) == sizeof(TdxPointF),
  "a float rectangle must read as its top-left and bottom-right points");

namespace {

constexpr double FloatTolerance = 1E-4;

bool SameFloat(float A, float B)
{
  const double E = std::max(FloatTolerance * std::min(std::fabs(A), std::fabs(B)), FloatTolerance);
  return std::fabs(static_cast<double>(A) - B) <= E;
}

// Out-of-range and NaN values would be undefined behaviour in a C++
// conversion; they saturate (NaN gives 0) so that no routine can fault.
int SaturateToInt(double V)
{
  if (std::isnan(V))
    return 0;
  if (V <= INT_MIN)
    return INT_MIN;
  if (V >= INT_MAX)
    return INT_MAX;
  return static_cast<int>(V);
}

// To nearest with halves to even, independent of the FPU's rounding mode.
int RoundHalfToEven(float V)
{
  double Result = std::floor(static_cast<double>(V));
  const double Fraction = V - Result;
  if (Fraction > 0.5 || (Fraction == 0.5 && std::fmod(Result, 2.0) != 0))
    Result += 1;
  return SaturateToInt(Result);
}

int FloatToInt(float V, bool ATruncate)
{
  return ATruncate ? SaturateToInt(std::trunc(static_cast<double>(V))) : RoundHalfToEven(V);
}

// Halving towards minus infinity (5 -> 2, -5 -> -3), taken over a 64-bit sum
// so that rectangles reaching the ends of the integer range centre sensibly.
int Half(std::int64_t V)
{
  return static_cast<int>((V - (V & 1)) >> 1);
}

bool HasNaN(const TdxRectF& R)
{
  return std::isnan(R.Left) || std::isnan(R.Top) || std::isnan(R.Right) || std::isnan(R.Bottom);
}

}  // namespace

// TdxPointF

TdxPointF::operator TPoint() const
{
  return TPoint{RoundHalfToEven(X), RoundHalfToEven(Y)};
}

TdxPointF TdxPointF::Create(float AX, float AY)
{
  return TdxPointF(AX, AY);
}

TdxPointF TdxPointF::Null()
{
  return TdxPointF(0, 0);
}

void TdxPointF::Init(float AX, float AY)
{
  X = AX;
  Y = AY;
}

void TdxPointF::Offset(float DX, float DY, bool APositiveFactor)
{
  if (APositiveFactor) {
    X += DX;
    Y += DY;
  } else {
    X -= DX;
    Y -= DY;
  }
}

void TdxPointF::Offset(const TdxPointF& P, bool APositiveFactor)
{
  Offset(P.X, P.Y, APositiveFactor);
}

void TdxPointF::Offset(const TdxSizeF& S, bool APositiveFactor)
{
  Offset(S.cx, S.cy, APositiveFactor);
}

void TdxPointF::Scale(float DX, float DY)
{
  X *= DX;
  Y *= DY;
}

void TdxPointF::Scale(const TdxPointF& P)
{
  Scale(P.X, P.Y);
}

void TdxPointF::Scale(const TdxSizeF& S)
{
  Scale(S.cx, S.cy);
}

bool operator==(const TdxPointF& A, const TdxPointF& B)
{
  return SameFloat(A.X, B.X) && SameFloat(A.Y, B.Y);
}

// TdxSizeF

TdxSizeF TdxSizeF::Create(float AWidth, float AHeight)
{
  return TdxSizeF{AWidth, AHeight};
}

TdxSizeF TdxSizeF::Null()
{
  return TdxSizeF{0, 0};
}

void TdxSizeF::Init(float AWidth, float AHeight)
{
  cx = AWidth;
  cy = AHeight;
}

TdxSizeF TdxSizeF::Ceil() const
{
  return TdxSizeF{std::ceil(cx), std::ceil(cy)};
}

// TdxRectF

TdxRectF TdxRectF::Create(float ALeft, float ATop, float ARight, float ABottom)
{
  return TdxRectF(ALeft, ATop, ARight, ABottom);
}

TdxRectF TdxRectF::CreateSize(float ALeft, float ATop, float AWidth, float AHeight)
{
  return TdxRectF(ALeft, ATop, ALeft + AWidth, ATop + AHeight);
}

TdxRectF TdxRectF::Null()
{
  return TdxRectF(0, 0, 0, 0);
}

void TdxRectF::Init(float ALeft, float ATop, float ARight, float ABottom)
{
  *this = Create(ALeft, ATop, ARight, ABottom);
}

void TdxRectF::InitSize(float ALeft, float ATop, float AWidth, float AHeight)
{
  *this = CreateSize(ALeft, ATop, AWidth, AHeight);
}

void TdxRectF::Assign(const TRect& Value)
{
  *this = TdxRectF(Value);
}

TdxPointF TdxRectF::CenterPoint() const
{
  return TdxPointF((Left + Right) / 2, (Top + Bottom) / 2);
}

void TdxRectF::Empty()
{
  *this = Null();
}

void TdxRectF::Inflate(float DX, float DY)
{
  Left -= DX;
  Top -= DY;
  Right += DX;
  Bottom += DY;
}

void TdxRectF::Inflate(const TdxPointF& P)
{
  Inflate(P.X, P.Y);
}

void TdxRectF::Inflate(const TdxSizeF& S)
{
  Inflate(S.cx, S.cy);
}

bool TdxRectF::IsEmpty() const
{
  return !(Right > Left && Bottom > Top);
}

bool TdxRectF::IsZero() const
{
  constexpr float Epsilon = 1E-4f;
  return std::fabs(Right) <= Epsilon && std::fabs(Bottom) <= Epsilon && std::fabs(Top) <= Epsilon &&
    std::fabs(Left) <= Epsilon;
}

void TdxRectF::Intersect(const TdxRectF& R)
{
  // std::min and std::max drop a NaN or keep it depending on the argument
  // order; a NaN on either side means there is no overlap to speak of.
  if (HasNaN(*this) || HasNaN(R)) {
    Empty();
    return;
  }
  Left = std::max(Left, R.Left);
  Top = std::max(Top, R.Top);
  Right = std::min(Right, R.Right);
  Bottom = std::min(Bottom, R.Bottom);
  if (Left > Right || Top > Bottom)
    Empty();
}

void TdxRectF::Normalize()
{
  if (Right < Left)
    std::swap(Left, Right);
  if (Bottom < Top)
    std::swap(Top, Bottom);
}

void TdxRectF::Offset(float X, float Y)
{
  Left += X;
  Right += X;
  Top += Y;
  Bottom += Y;
}

TdxRectF TdxRectF::ZoomInto(const TdxRectF& ABounds) const
{
  TdxRectF Result = *this;
  if (GetHeight() <= 0 || ABounds.GetHeight() <= 0)
    return Result;
  const float C = GetWidth() / GetHeight();
  const float E = ABounds.GetWidth() / ABounds.GetHeight();
  float DX, DY;
  if (E > C) {
    Result.SetHeight(ABounds.GetHeight());
    Result.SetWidth(C * ABounds.GetHeight());
    DX = (ABounds.GetWidth() - Result.GetWidth()) / 2 + ABounds.Left;
    DY = ABounds.Top;
  } else {
    Result.SetWidth(ABounds.GetWidth());
    Result.SetHeight(ABounds.GetWidth() / C);
    DX = ABounds.Left;
    DY = (ABounds.GetHeight() - Result.GetHeight()) / 2 + ABounds.Top;
  }
  Result.Offset(DX, DY);
  return Result;
}

TdxRectF TdxRectF::ZoomInto(const TdxSizeF& ASize) const
{
  return ZoomInto(TdxRectF(0, 0, ASize.cx, ASize.cy));
}

float TdxRectF::GetWidth() const
{
  return Right - Left;
}

float TdxRectF::GetHeight() const
{
  return Bottom - Top;
}

TdxPointF TdxRectF::GetTopLeft() const
{
  return TdxPointF(Left, Top);
}

TdxPointF TdxRectF::GetBottomRight() const
{
  return TdxPointF(Right, Bottom);
}

TdxSizeF TdxRectF::GetSize() const
{
  return TdxSizeF{GetWidth(), GetHeight()};
}

void TdxRectF::SetWidth(float Value)
{
  Right = Left + Value;
}

void TdxRectF::SetHeight(float Value)
{
  Bottom = Top + Value;
}

void TdxRectF::SetTopLeft(const TdxPointF& Value)
{
  Left = Value.X;
  Top = Value.Y;
}

void TdxRectF::SetBottomRight(const TdxPointF& Value)
{
  Right = Value.X;
  Bottom = Value.Y;
}

bool operator==(const TdxRectF& A, const TdxRectF& B)
{
  return SameFloat(A.Left, B.Left) && SameFloat(A.Top, B.Top) && SameFloat(A.Right, B.Right) &&
    SameFloat(A.Bottom, B.Bottom);
}

// Integer rectangles

TRect cxRectMake(int ALeft, int ATop, int ARight, int ABottom)
{
  return TRect{ALeft, ATop, ARight, ABottom};
}

TRect cxRectFromPoints(const TPoint& ATopLeft, const TPoint& ABottomRight)
{
  return TRect{ATopLeft.x, ATopLeft.y, ABottomRight.x, ABottomRight.y};
}

TRect cxRectFromSize(const TSize& ASize)
{
  return TRect{0, 0, ASize.cx, ASize.cy};
}

TRect cxRectBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
  return TRect{ALeft, ATop, ALeft + AWidth, ATop + AHeight};
}

TRect cxRectBoundsOfSize(int ALeft, int ATop, const TSize& ASize)
{
  return cxRectBounds(ALeft, ATop, ASize.cx, ASize.cy);
}

TRect cxRectBoundsAtPoint(const TPoint& P, int AWidth, int AHeight)
{
  return cxRectBounds(P.x, P.y, AWidth, AHeight);
}

int cxRectGetWidth(const TRect& R)
{
  return dxRectWidthOf(R);
}

int cxRectGetHeight(const TRect& R)
{
  return dxRectHeightOf(R);
}

TSize cxRectGetSize(const TRect& R)
{
  return dxRectSizeOf(R);
}

TSize cxSizeOfRect(const TRect& R)
{
  return cxRectGetSize(R);
}

int cxMarginsHorzSum(const TRect& AMargins)
{
  return AMargins.left + AMargins.right;
}

int cxMarginsVertSum(const TRect& AMargins)
{
  return AMargins.top + AMargins.bottom;
}

bool cxRectHasNoArea(const TRect& R)
{
  return !(R.left < R.right && R.top < R.bottom);
}

bool cxRectIsAllZero(const TRect& R)
{
  return cxRectsEqual(R, cxNullRect);
}

bool cxRectIsInvalid(const TRect& R)
{
  return cxRectsEqual(R, cxInvalidRect);
}

bool cxRectsEqual(const TRect& A, const TRect& B)
{
  return A.left == B.left && A.top == B.top && A.right == B.right && A.bottom == B.bottom;
}

bool cxRectsSameSize(const TRect& A, const TRect& B)
{
  return cxRectGetWidth(A) == cxRectGetWidth(B) && cxRectGetHeight(A) == cxRectGetHeight(B);
}

bool cxRectContainsPoint(const TRect& R, const TPoint& P)
{
  return cxRectContainsXY(R, P.x, P.y);
}

bool cxRectContainsXY(const TRect& R, int X, int Y)
{
  return X >= R.left && X < R.right && Y >= R.top && Y < R.bottom;
}

bool cxRectContainsRect(const TRect& ABounds, const TRect& AInner)
{
  return AInner.left >= ABounds.left && AInner.right <= ABounds.right && AInner.top >= ABounds.top &&
    AInner.bottom <= ABounds.bottom;
}

bool cxRectIntersection(TRect& AResult, const TRect& A, const TRect& B)
{
  AResult = TRect{std::max(A.left, B.left), std::max(A.top, B.top), std::min(A.right, B.right),
    std::min(A.bottom, B.bottom)};
  if (!cxRectHasNoArea(AResult))
    return true;
  AResult = cxNullRect;
  return false;
}

bool cxRectsOverlap(const TRect& A, const TRect& B)
{
  TRect Scratch;
  return cxRectIntersection(Scratch, A, B);
}

TRect cxRectUnionNonEmpty(const TRect& A, const TRect& B)
{
  // Compared side against side: the width of a rectangle spanning more than
  // the integer range would wrap and turn a huge rectangle into an empty one,
  // or an inverted one into a non-empty one.
  if (B.right <= B.left || B.bottom <= B.top)
    return A;
  return TRect{std::min(A.left, B.left), std::min(A.top, B.top), std::max(A.right, B.right),
    std::max(A.bottom, B.bottom)};
}

TRect cxRectInflateXY(const TRect& R, int DX, int DY)
{
  return cxRectInflateSides(R, DX, DY, DX, DY);
}

TRect cxRectInflateAll(const TRect& R, int D)
{
  return cxRectInflateSides(R, D, D, D, D);
}

TRect cxRectInflateSides(const TRect& R, int DL, int DT, int DR, int DB)
{
  return TRect{R.left - DL, R.top - DT, R.right + DR, R.bottom + DB};
}

TRect cxRectInflateByMargins(const TRect& R, const TRect& AMargins)
{
  return cxRectInflateSides(R, AMargins.left, AMargins.top, AMargins.right, AMargins.bottom);
}

TRect cxRectDeflateByMargins(const TRect& R, const TRect& AMargins)
{
  return TRect{R.left + AMargins.left, R.top + AMargins.top, R.right - AMargins.right, R.bottom - AMargins.bottom};
}

TRect cxRectShiftSides(const TRect& R, int DL, int DT, int DR, int DB)
{
  return TRect{R.left + DL, R.top + DT, R.right + DR, R.bottom + DB};
}

TRect cxRectShiftSidesByRect(const TRect& R, const TRect& D)
{
  return cxRectShiftSides(R, D.left, D.top, D.right, D.bottom);
}

TRect cxRectOffsetBy(const TRect& R, int DX, int DY, bool APositiveFactor)
{
  if (!APositiveFactor) {
    DX = -DX;
    DY = -DY;
  }
  return cxRectShiftSides(R, DX, DY, DX, DY);
}

TRect cxRectOffsetByPoint(const TRect& R, const TPoint& P, bool APositiveFactor)
{
  return cxRectOffsetBy(R, P.x, P.y, APositiveFactor);
}

TRect cxRectShiftHorz(const TRect& R, int DX)
{
  return cxRectOffsetBy(R, DX, 0);
}

TRect cxRectShiftVert(const TRect& R, int DY)
{
  return cxRectOffsetBy(R, 0, DY);
}

TRect cxRectMoveToLeft(const TRect& R, int X)
{
  return cxRectShiftHorz(R, X - R.left);
}

TRect cxRectMoveToTop(const TRect& R, int Y)
{
  return cxRectShiftVert(R, Y - R.top);
}

TRect cxRectMoveToPoint(const TRect& R, const TPoint& P)
{
  return cxRectOffsetBy(R, P.x - R.left, P.y - R.top);
}

TRect cxRectMoveToOrigin(const TRect& R)
{
  return cxRectMoveToPoint(R, cxNullPoint);
}

TRect cxRectSetLeftAndWidth(const TRect& R, int X, int W)
{
  return cxRectWithHorzBounds(R, X, X + W);
}

TRect cxRectSetRightAndWidth(const TRect& R, int X, int W)
{
  return cxRectWithHorzBounds(R, X - W, X);
}

TRect cxRectSetTopAndHeight(const TRect& R, int Y, int H)
{
  return cxRectWithVertBounds(R, Y, Y + H);
}

TRect cxRectSetBottomAndHeight(const TRect& R, int Y, int H)
{
  return cxRectWithVertBounds(R, Y - H, Y);
}

TRect cxRectWithWidth(const TRect& R, int W)
{
  return cxRectSetLeftAndWidth(R, R.left, W);
}

TRect cxRectWithHeight(const TRect& R, int H)
{
  return cxRectSetTopAndHeight(R, R.top, H);
}

TRect cxRectWithSize(const TRect& R, int W, int H)
{
  return cxRectBounds(R.left, R.top, W, H);
}

TRect cxRectWithSizeOf(const TRect& R, const TSize& S)
{
  return cxRectWithSize(R, S.cx, S.cy);
}

TRect cxRectWithHorzBounds(const TRect& R, int ALeft, int ARight)
{
  return TRect{ALeft, R.top, ARight, R.bottom};
}

TRect cxRectWithVertBounds(const TRect& R, int ATop, int ABottom)
{
  return TRect{R.left, ATop, R.right, ABottom};
}

TRect cxRectNormalized(const TRect& R)
{
  return TRect{std::min(R.left, R.right), std::min(R.top, R.bottom), std::max(R.left, R.right),
    std::max(R.top, R.bottom)};
}

TRect cxRectNegate(const TRect& R)
{
  return TRect{-R.left, -R.top, -R.right, -R.bottom};
}

TRect cxRectTranspose(const TRect& R)
{
  return TRect{R.top, R.left, R.bottom, R.right};
}

TPoint cxRectBottomLeftPoint(const TRect& R)
{
  return TPoint{R.left, R.bottom};
}

TPoint cxRectCenterPoint(const TRect& R)
{
  return TPoint{Half(std::int64_t{R.left} + R.right), Half(std::int64_t{R.top} + R.bottom)};
}

TRect cxRectCenterBox(const TRect& R, int W, int H)
{
  return cxRectBounds(Half(std::int64_t{R.left} + R.right - W), Half(std::int64_t{R.top} + R.bottom - H), W, H);
}

TRect cxRectCenterBoxOfSize(const TRect& R, const TSize& S)
{
  return cxRectCenterBox(R, S.cx, S.cy);
}

TRect cxRectCenterHorzBox(const TRect& R, int W)
{
  return cxRectSetLeftAndWidth(R, Half(std::int64_t{R.left} + R.right - W), W);
}

TRect cxRectCenterVertBox(const TRect& R, int H)
{
  return cxRectSetTopAndHeight(R, Half(std::int64_t{R.top} + R.bottom - H), H);
}

TRect cxRectFitAspect(const TRect& R, int A, int B)
{
  return cxRectWithSizeOf(R, cxSizeFitAspect(cxRectGetSize(R), A, B));
}

TRect cxRectFitAspectOfSize(const TRect& R, const TSize& AProportions)
{
  return cxRectFitAspect(R, AProportions.cx, AProportions.cy);
}

TRect cxRectScaleBy(const TRect& R, int N, int D)
{
  return cxRectScaleXY(R, N, D, N, D);
}

TRect cxRectScaleXY(const TRect& R, int NX, int DX, int NY, int DY)
{
  return TRect{MulDiv(R.left, NX, DX), MulDiv(R.top, NY, DY), MulDiv(R.right, NX, DX), MulDiv(R.bottom, NY, DY)};
}

// Integer points and sizes

TPoint cxPointMake(int X, int Y)
{
  return TPoint{X, Y};
}

TPoint cxPointCopy(const TPoint& P)
{
  return P;
}

TPoint cxPointNegate(const TPoint& P)
{
  return TPoint{-P.x, -P.y};
}

bool cxPointsEqual(const TPoint& A, const TPoint& B)
{
  return A.x == B.x && A.y == B.y;
}

bool cxPointIsOrigin(const TPoint& P)
{
  return cxPointsEqual(P, cxNullPoint);
}

TPoint cxPointOffsetBy(const TPoint& P, int DX, int DY, bool APositiveFactor)
{
  return APositiveFactor ? TPoint{P.x + DX, P.y + DY} : TPoint{P.x - DX, P.y - DY};
}

TPoint cxPointOffsetByPoint(const TPoint& P, const TPoint& D, bool APositiveFactor)
{
  return cxPointOffsetBy(P, D.x, D.y, APositiveFactor);
}

TPoint cxPointScale(const TPoint& P, int N, int D)
{
  return TPoint{MulDiv(P.x, N, D), MulDiv(P.y, N, D)};
}

namespace {

// How many points a bounds routine reads: ALastIndex + 1, but never past the
// end of the array; a negative index reads none.
int PointsToRead(std::size_t ASize, int ALastIndex)
{
  return ALastIndex < 0 ? 0 : static_cast<int>(std::min<std::size_t>(std::size_t(ALastIndex) + 1, ASize));
}

}  // namespace

TRect cxPointsBounds(std::span<const TPoint> APoints, int ALastIndex)
{
  const int Count = PointsToRead(APoints.size(), ALastIndex);
  if (Count == 0)
    return cxNullRect;
  TRect Result = cxRectFromPoints(APoints[0], APoints[0]);
  for (int I = 1; I < Count; ++I) {
    Result.left = std::min(Result.left, APoints[I].x);
    Result.top = std::min(Result.top, APoints[I].y);
    Result.right = std::max(Result.right, APoints[I].x);
    Result.bottom = std::max(Result.bottom, APoints[I].y);
  }
  return Result;
}

TSize cxSizeMake(int cx, int cy)
{
  return TSize{cx, cy};
}

TSize cxSizeSquare(int V)
{
  return TSize{V, V};
}

bool cxSizesEqual(const TSize& A, const TSize& B)
{
  return A.cx == B.cx && A.cy == B.cy;
}

bool cxSizeIsZero(const TSize& S)
{
  return cxSizesEqual(S, cxNullSize);
}

bool cxSizeHasArea(const TSize& S)
{
  return S.cx >= 1 && S.cy >= 1;
}

TSize cxSizeMax(const TSize& A, const TSize& B)
{
  return TSize{std::max(A.cx, B.cx), std::max(A.cy, B.cy)};
}

TSize cxSizeScale(const TSize& S, int N, int D)
{
  return TSize{MulDiv(S.cx, N, D), MulDiv(S.cy, N, D)};
}

TSize cxSizeFitAspect(const TSize& S, int A, int B)
{
  TSize Result = S;
  if (S.cx <= 0 || S.cy <= 0 || A <= 0 || B <= 0)
    return Result;
  const double R1 = static_cast<double>(A) / B;
  const double R2 = static_cast<double>(S.cx) / S.cy;
  if (R1 > R2)
    Result.cy = static_cast<int>(S.cx / R1);
  else
    Result.cx = static_cast<int>(R1 * S.cy);
  return Result;
}

TSize cxSizeFitAspectOfSize(const TSize& S, const TSize& AProportions)
{
  return cxSizeFitAspect(S, AProportions.cx, AProportions.cy);
}

// Float records

TdxRectF cxRectFMake(float ALeft, float ATop, float ARight, float ABottom)
{
  return TdxRectF(ALeft, ATop, ARight, ABottom);
}

TdxRectF cxRectFBounds(float ALeft, float ATop, float AWidth, float AHeight)
{
  return TdxRectF::CreateSize(ALeft, ATop, AWidth, AHeight);
}

float cxRectFGetWidth(const TdxRectF& R)
{
  return R.GetWidth();
}

float cxRectFGetHeight(const TdxRectF& R)
{
  return R.GetHeight();
}

bool cxRectFHasNoArea(const TdxRectF& R)
{
  return !(R.Left < R.Right && R.Top < R.Bottom);
}

TdxRectF cxRectFWithSize(const TdxRectF& R, const TdxSizeF& S)
{
  return TdxRectF::CreateSize(R.Left, R.Top, S.cx, S.cy);
}

TdxRectF cxRectFScale(const TdxRectF& R, float F)
{
  return TdxRectF(R.Left * F, R.Top * F, R.Right * F, R.Bottom * F);
}

TdxPointF cxPointFScale(const TdxPointF& P, float F)
{
  return TdxPointF(P.X * F, P.Y * F);
}

TdxPointF cxRectFCenterPoint(const TdxRectF& R)
{
  return R.CenterPoint();
}

TdxRectF cxRectToRectF(const TRect& R)
{
  return TdxRectF(R);
}

TdxPointF cxPointToPointF(const TPoint& P)
{
  return TdxPointF(P);
}

TRect cxRectFToRect(const TdxRectF& R, bool ATruncate)
{
  return TRect{FloatToInt(R.Left, ATruncate), FloatToInt(R.Top, ATruncate), FloatToInt(R.Right, ATruncate),
    FloatToInt(R.Bottom, ATruncate)};
}

TPoint cxPointFToPoint(const TdxPointF& P, bool ATruncate)
{
  return TPoint{FloatToInt(P.X, ATruncate), FloatToInt(P.Y, ATruncate)};
}

TSize cxSizeFToSize(const TdxSizeF& S, bool ATruncate)
{
  return TSize{FloatToInt(S.cx, ATruncate), FloatToInt(S.cy, ATruncate)};
}

TdxPointF cxPointFMake(float X, float Y)
{
  return TdxPointF(X, Y);
}

TdxPointF cxPointFCreate(float X, float Y)
{
  return TdxPointF(X, Y);
}

bool cxPointFsEqual(const TdxPointF& A, const TdxPointF& B)
{
  return A == B;
}

TdxPointF cxPointFOffsetBy(const TdxPointF& P, float DX, float DY, bool APositiveFactor)
{
  TdxPointF Result = P;
  Result.Offset(DX, DY, APositiveFactor);
  return Result;
}

TdxPointF cxPointFOffsetByPoint(const TdxPointF& P, const TdxPointF& D, bool APositiveFactor)
{
  return cxPointFOffsetBy(P, D.X, D.Y, APositiveFactor);
}

TdxRectF cxPointFsBounds(std::span<const TdxPointF> APoints, int ALastIndex)
{
  const int Count = PointsToRead(APoints.size(), ALastIndex);
  if (Count == 0)
    return TdxRectF::Null();
  TdxRectF Result(APoints[0].X, APoints[0].Y, APoints[0].X, APoints[0].Y);
  for (int I = 1; I < Count; ++I) {
    Result.Left = std::min(Result.Left, APoints[I].X);
    Result.Top = std::min(Result.Top, APoints[I].Y);
    Result.Right = std::max(Result.Right, APoints[I].X);
    Result.Bottom = std::max(Result.Bottom, APoints[I].Y);
  }
  return Result;
}

// XFORM builders

XFORM cxXFormIdentity()
{
  return cxXFormMake(1, 0, 0, 1, 0, 0);
}

XFORM cxXFormMake(float M11, float M12, float M21, float M22, float DX, float DY)
{
  return XFORM{M11, M12, M21, M22, DX, DY};
}

XFORM cxXFormTranslation(float DX, float DY)
{
  return cxXFormMake(1, 0, 0, 1, DX, DY);
}

XFORM cxXFormScaling(float AScaleX, float AScaleY)
{
  return cxXFormMake(AScaleX, 0, 0, AScaleY, 0, 0);
}

XFORM cxXFormRotation(float AAngle)
{
  const double R = AAngle * std::numbers::pi / 180;
  const float Cos = static_cast<float>(std::cos(R));
  const float Sin = static_cast<float>(std::sin(R));
  return cxXFormMake(Cos, Sin, -Sin, Cos, 0, 0);
}

XFORM cxXFormMirror(bool AHorizontal, bool AVertical, float ACenterX, float ACenterY)
{
  return cxXFormMake(AHorizontal ? -1 : 1, 0, 0, AVertical ? -1 : 1, AHorizontal ? 2 * ACenterX : 0,
    AVertical ? 2 * ACenterY : 0);
}

XFORM cxXFormCombine(const XFORM& A, const XFORM& B)
{
  XFORM Result;
  CombineTransform(&Result, &A, &B);
  return Result;
}

// TdxMatrix

void TdxMatrix::Create()
{
  Reset();
}

void TdxMatrix::CreateEx(float M11, float M12, float M21, float M22, float DX, float DY)
{
  Assign(M11, M12, M21, M22, DX, DY);
}

void TdxMatrix::CreateEx(const TdxMatrix* M)
{
  Assign(M);
}

void TdxMatrix::Assign(const TdxMatrix* M)
{
  FMatrix = M->FMatrix;
}

void TdxMatrix::Assign(float M11, float M12, float M21, float M22, float DX, float DY)
{
  FMatrix = cxXFormMake(M11, M12, M21, M22, DX, DY);
}

void TdxMatrix::Reset()
{
  FMatrix = cxXFormIdentity();
}

bool TdxMatrix::IsIdentity() const
{
  return FMatrix.eM11 == 1 && FMatrix.eM12 == 0 && FMatrix.eM21 == 0 && FMatrix.eM22 == 1 && FMatrix.eDx == 0 &&
    FMatrix.eDy == 0;
}

TdxPointF TdxMatrix::Transform(const TdxPointF& APoint) const
{
  return TdxPointF(APoint.X * FMatrix.eM11 + APoint.Y * FMatrix.eM21 + FMatrix.eDx,
    APoint.X * FMatrix.eM12 + APoint.Y * FMatrix.eM22 + FMatrix.eDy);
}

TdxRectF TdxMatrix::Transform(const TdxRectF& ARect) const
{
  TdxRectF Result;
  Result.SetTopLeft(Transform(ARect.GetTopLeft()));
  Result.SetBottomRight(Transform(ARect.GetBottomRight()));
  return Result;
}

void TdxMatrix::Multiply(const TdxMatrix* M, TdxTransformationOrder AOrder)
{
  Combine(M->FMatrix, AOrder);
}

void TdxMatrix::Rotate(float AAngle, TdxTransformationOrder AOrder)
{
  Combine(cxXFormRotation(AAngle), AOrder);
}

void TdxMatrix::Rotate(float AAngle, const TPoint& APivotPoint, TdxTransformationOrder AOrder)
{
  Rotate(AAngle, TdxPointF(APivotPoint), AOrder);
}

void TdxMatrix::Rotate(float AAngle, const TdxPointF& APivotPoint, TdxTransformationOrder AOrder)
{
  // The three steps go in the caller's order; the sign makes the net effect
  // "pivot to origin, rotate, back" for both orders.
  const float S = AOrder == moPrepend ? 1 : -1;
  Translate(S * APivotPoint.X, S * APivotPoint.Y, AOrder);
  Rotate(AAngle, AOrder);
  Translate(-S * APivotPoint.X, -S * APivotPoint.Y, AOrder);
}

void TdxMatrix::Scale(float AScaleX, float AScaleY, TdxTransformationOrder AOrder)
{
  Combine(cxXFormScaling(AScaleX, AScaleY), AOrder);
}

void TdxMatrix::Scale(const TdxPointF& AScale, TdxTransformationOrder AOrder)
{
  Scale(AScale.X, AScale.Y, AOrder);
}

void TdxMatrix::Translate(float DX, float DY, TdxTransformationOrder AOrder)
{
  Combine(cxXFormTranslation(DX, DY), AOrder);
}

void TdxMatrix::Translate(const TdxPointF& AOffset, TdxTransformationOrder AOrder)
{
  Translate(AOffset.X, AOffset.Y, AOrder);
}

void TdxMatrix::Combine(const XFORM& AStep, TdxTransformationOrder AOrder)
{
  FMatrix = AOrder == moAppend ? cxXFormCombine(FMatrix, AStep) : cxXFormCombine(AStep, FMatrix);
}

// ---------------------------------------------------------------------------
// Scale factors

namespace {

// Products of two factors' terms: the 32-bit products the scale arithmetic
// has always used, computed without signed overflow.
int Product32(int A, int B)
{
  return static_cast<int>(static_cast<std::int64_t>(A) * B);
}

TPoint ScalePoint(const TPoint& V, int N, int D)
{
  return TPoint{MulDiv(V.x, N, D), MulDiv(V.y, N, D)};
}

TSize ScaleSize(const TSize& V, int N, int D)
{
  return TSize{MulDiv(V.cx, N, D), MulDiv(V.cy, N, D)};
}

TRect ScaleRect(const TRect& V, int N, int D)
{
  return TRect{MulDiv(V.left, N, D), MulDiv(V.top, N, D), MulDiv(V.right, N, D), MulDiv(V.bottom, N, D)};
}

// The fraction that takes a value from the source scale to the target one;
// false when it is 1:1 and the value stays as it is.
bool SourceToTarget(const TdxScaleFactor& ATarget, int ASourceNumerator, int ASourceDenominator, int& N, int& D)
{
  N = Product32(ATarget.GetNumerator(), ASourceDenominator);
  D = Product32(ATarget.GetDenominator(), ASourceNumerator);
  if (N == D)
    return false;
  cxReduceFraction(N, D);
  return true;
}

int SourceNumerator(const TdxScaleFactor* AFactor)
{
  return AFactor ? AFactor->GetNumerator() : 1;
}

int SourceDenominator(const TdxScaleFactor* AFactor)
{
  return AFactor ? AFactor->GetDenominator() : 1;
}

}  // namespace

void cxReduceFraction(int& N, int& D)
{
  // Trial division from 2, restarted after each hit, reduces positive values
  // exactly as far as the greatest common divisor does.
  if (N < 1 || D < 1)
    return;
  const int Divisor = std::gcd(N, D);
  N /= Divisor;
  D /= Divisor;
}

void TdxScaleFactor::Create()
{
  inherited::Create();
  FNumerator = 1;
  FDenominator = 1;
}

void TdxScaleFactor::Assign(int ANumerator, int ADenominator, bool AIsLoading)
{
  cxReduceFraction(ANumerator, ADenominator);
  if (ANumerator == FNumerator && ADenominator == FDenominator)
    return;
  const int OldNumerator = FNumerator;
  const int OldDenominator = FDenominator;
  FNumerator = ANumerator;
  FDenominator = ADenominator;
  Changed(Product32(OldDenominator, ANumerator), Product32(OldNumerator, ADenominator), AIsLoading);
}

void TdxScaleFactor::Assign(const TdxScaleFactor* ASource)
{
  Assign(SourceNumerator(ASource), SourceDenominator(ASource), false);
}

void TdxScaleFactor::Change(int ANumerator, int ADenominator)
{
  Assign(Product32(ANumerator, FNumerator), Product32(ADenominator, FDenominator), false);
}

bool TdxScaleFactor::Equals(const rtl::TObject* Obj) const
{
  if (!rtl::Is<TdxScaleFactor>(Obj))
    return false;
  const auto* Other = static_cast<const TdxScaleFactor*>(Obj);
  return static_cast<std::int64_t>(Other->FDenominator) * FNumerator ==
         static_cast<std::int64_t>(Other->FNumerator) * FDenominator;
}

int TdxScaleFactor::Apply(int V) const
{
  return GetAssigned() ? MulDiv(V, FNumerator, FDenominator) : V;
}

TPoint TdxScaleFactor::Apply(const TPoint& V) const
{
  return GetAssigned() ? ScalePoint(V, FNumerator, FDenominator) : V;
}

TSize TdxScaleFactor::Apply(const TSize& V) const
{
  return GetAssigned() ? ScaleSize(V, FNumerator, FDenominator) : V;
}

TRect TdxScaleFactor::Apply(const TRect& V) const
{
  return GetAssigned() ? ScaleRect(V, FNumerator, FDenominator) : V;
}

double TdxScaleFactor::ApplyF(double V) const
{
  return GetAssigned() ? V * FNumerator / FDenominator : V;
}

int TdxScaleFactor::Revert(int V) const
{
  return GetAssigned() ? MulDiv(V, FDenominator, FNumerator) : V;
}

TPoint TdxScaleFactor::Revert(const TPoint& V) const
{
  return GetAssigned() ? ScalePoint(V, FDenominator, FNumerator) : V;
}

TSize TdxScaleFactor::Revert(const TSize& V) const
{
  return GetAssigned() ? ScaleSize(V, FDenominator, FNumerator) : V;
}

TRect TdxScaleFactor::Revert(const TRect& V) const
{
  return GetAssigned() ? ScaleRect(V, FDenominator, FNumerator) : V;
}

double TdxScaleFactor::RevertF(double V) const
{
  return GetAssigned() ? V * FDenominator / FNumerator : V;
}

int TdxScaleFactor::Apply(int V, int ASourceNumerator, int ASourceDenominator) const
{
  int N, D;
  return SourceToTarget(*this, ASourceNumerator, ASourceDenominator, N, D) ? MulDiv(V, N, D) : V;
}

TPoint TdxScaleFactor::Apply(const TPoint& V, int ASourceNumerator, int ASourceDenominator) const
{
  int N, D;
  return SourceToTarget(*this, ASourceNumerator, ASourceDenominator, N, D) ? ScalePoint(V, N, D) : V;
}

TSize TdxScaleFactor::Apply(const TSize& V, int ASourceNumerator, int ASourceDenominator) const
{
  int N, D;
  return SourceToTarget(*this, ASourceNumerator, ASourceDenominator, N, D) ? ScaleSize(V, N, D) : V;
}

TRect TdxScaleFactor::Apply(const TRect& V, int ASourceNumerator, int ASourceDenominator) const
{
  int N, D;
  return SourceToTarget(*this, ASourceNumerator, ASourceDenominator, N, D) ? ScaleRect(V, N, D) : V;
}

int TdxScaleFactor::Apply(int V, const TdxScaleFactor* ASourceScaleFactor) const
{
  return Apply(V, SourceNumerator(ASourceScaleFactor), SourceDenominator(ASourceScaleFactor));
}

TPoint TdxScaleFactor::Apply(const TPoint& V, const TdxScaleFactor* ASourceScaleFactor) const
{
  return Apply(V, SourceNumerator(ASourceScaleFactor), SourceDenominator(ASourceScaleFactor));
}

TSize TdxScaleFactor::Apply(const TSize& V, const TdxScaleFactor* ASourceScaleFactor) const
{
  return Apply(V, SourceNumerator(ASourceScaleFactor), SourceDenominator(ASourceScaleFactor));
}

TRect TdxScaleFactor::Apply(const TRect& V, const TdxScaleFactor* ASourceScaleFactor) const
{
  return Apply(V, SourceNumerator(ASourceScaleFactor), SourceDenominator(ASourceScaleFactor));
}

void TdxScaleFactor::ListenerAdd(const TdxScaleFactorNotifyEvent& AEventHandler)
{
  if (std::find(FListeners.begin(), FListeners.end(), AEventHandler) != FListeners.end())
    throw EdxException(L"Listener is already registered");
  FListeners.push_back(AEventHandler);
}

void TdxScaleFactor::ListenerRemove(const TdxScaleFactorNotifyEvent& AEventHandler)
{
  const auto Found = std::find(FListeners.begin(), FListeners.end(), AEventHandler);
  if (Found == FListeners.end())
    return;
  FListeners.erase(Found);
  // Most factors never have a listener again; give the memory back.
  if (FListeners.empty())
    FListeners.shrink_to_fit();
}

void TdxScaleFactor::Changed(int M, int D, bool AIsLoading)
{
  if (M == D || FListeners.empty())
    return;
  // A listener may remove itself or another one (an owned factor being
  // freed by a form that rescales), so walk a copy and skip whoever has left
  // the list since the walk began.
  const std::vector<TdxScaleFactorNotifyEvent> Snapshot = FListeners;
  for (const TdxScaleFactorNotifyEvent& Listener : Snapshot) {
    if (std::find(FListeners.begin(), FListeners.end(), Listener) != FListeners.end())
      Listener(this, M, D, AIsLoading);
  }
}

void TdxOwnedScaleFactor::Create()
{
  inherited::Create();
  FUseOwnerValue = true;
}

void TdxOwnedScaleFactor::BeforeDestruction()
{
  inherited::BeforeDestruction();
  SetOwner(nullptr);
}

void TdxOwnedScaleFactor::SetOwner(TdxScaleFactor* AValue)
{
  if (AValue == FOwner || AValue == this)
    return;
  if (FOwner)
    FOwner->ListenerRemove(OwnerHandler());
  FOwner = AValue;
  if (FOwner)
    FOwner->ListenerAdd(OwnerHandler());
  UpdateFromOwner(false);
}

void TdxOwnedScaleFactor::SetUseOwnerValue(bool AValue)
{
  if (AValue == FUseOwnerValue)
    return;
  FUseOwnerValue = AValue;
  UpdateFromOwner(false);
}

void TdxOwnedScaleFactor::Changed(int M, int D, bool AIsLoading)
{
  if (!AIsLoading)
    FUseOwnerValue = false;
  inherited::Changed(M, D, AIsLoading);
}

void TdxOwnedScaleFactor::OwnerChanged(rtl::TObject* /*Sender*/, int /*M*/, int /*D*/, bool IsLoading)
{
  UpdateFromOwner(IsLoading);
}

void TdxOwnedScaleFactor::UpdateFromOwner(bool AIsLoading)
{
  if (!FUseOwnerValue || !FOwner)
    return;
  Assign(FOwner->GetNumerator(), FOwner->GetDenominator(), AIsLoading);
  FUseOwnerValue = true;
}

TdxScaleFactorNotifyEvent TdxOwnedScaleFactor::OwnerHandler()
{
  return TdxScaleFactorNotifyEvent::Bind<&TdxOwnedScaleFactor::OwnerChanged>(this);
}

// ---------------------------------------------------------------------------
// Persistent geometry objects

namespace {

// The stream images hold 32-bit signed integers in the platform's (little-
// endian) order, so an array of them is read and written as it is.
template <std::size_t N>
std::array<std::int32_t, N> ReadIntegers(rtl::TStream* AStream)
{
  std::array<std::int32_t, N> Result;
  AStream->ReadBuffer(Result.data(), static_cast<int>(sizeof(Result)));
  return Result;
}

template <std::size_t N>
void WriteIntegers(rtl::TStream* AStream, const std::array<std::int32_t, N>& AValues)
{
  AStream->WriteBuffer(AValues.data(), static_cast<int>(sizeof(AValues)));
}

TRect RectOfIntegers(const std::array<std::int32_t, 4>& AValues)
{
  return TRect{AValues[0], AValues[1], AValues[2], AValues[3]};
}

std::array<std::int32_t, 4> IntegersOfRect(const TRect& R)
{
  return {R.left, R.top, R.right, R.bottom};
}

}  // namespace

void TcxGeometryObject::ChangeScale(int /*M*/, int /*D*/) {}

void TcxGeometryObject::LoadFromStream(rtl::TStream* /*AStream*/) {}

void TcxGeometryObject::SaveToStream(rtl::TStream* /*AStream*/) {}

void TcxGeometryObject::DoChange()
{
  if (FOnChange)
    FOnChange(this);
}

// TcxRect

void TcxRect::ChangeScale(int M, int D)
{
  SetRect(ScaleRect(FRect, M, D));
}

void TcxRect::LoadFromStream(rtl::TStream* AStream)
{
  SetRect(RectOfIntegers(ReadIntegers<4>(AStream)));
}

void TcxRect::SaveToStream(rtl::TStream* AStream)
{
  WriteIntegers(AStream, IntegersOfRect(FRect));
}

bool TcxRect::IsEmpty() const
{
  return cxRectHasNoArea(FRect);
}

bool TcxRect::IsEqual(const TRect& ARect) const
{
  return cxRectsEqual(FRect, ARect);
}

bool TcxRect::IsEqual(const TcxRect* ARect) const
{
  return ARect && IsEqual(ARect->GetRect());
}

int TcxRect::GetValue(int AIndex) const
{
  switch (AIndex) {
    case 0:
      return FRect.left;
    case 1:
      return FRect.top;
    case 2:
      return FRect.right;
    default:
      return FRect.bottom;
  }
}

void TcxRect::SetValue(int AIndex, int AValue)
{
  TRect R = FRect;
  switch (AIndex) {
    case 0:
      R.left = AValue;
      break;
    case 1:
      R.top = AValue;
      break;
    case 2:
      R.right = AValue;
      break;
    case 3:
      R.bottom = AValue;
      break;
    default:
      break;
  }
  SetRect(R);
}

void TcxRect::SetRect(const TRect& AValue)
{
  TRect R = AValue;
  AdjustRect(R);
  if (cxRectsEqual(R, FRect))
    return;
  FRect = R;
  DoChange();
}

int TcxRect::GetWidth() const
{
  return cxRectGetWidth(FRect);
}

int TcxRect::GetHeight() const
{
  return cxRectGetHeight(FRect);
}

void TcxRect::SetWidth(int AValue)
{
  SetRect(cxRectWithWidth(FRect, AValue));
}

void TcxRect::SetHeight(int AValue)
{
  SetRect(cxRectWithHeight(FRect, AValue));
}

TPoint TcxRect::GetTopLeft() const
{
  return TPoint{FRect.left, FRect.top};
}

TPoint TcxRect::GetTopRight() const
{
  return TPoint{FRect.right, FRect.top};
}

TPoint TcxRect::GetBottomLeft() const
{
  return TPoint{FRect.left, FRect.bottom};
}

TPoint TcxRect::GetBottomRight() const
{
  return TPoint{FRect.right, FRect.bottom};
}

void TcxRect::SetTopLeft(const TPoint& AValue)
{
  SetRect(TRect{AValue.x, AValue.y, FRect.right, FRect.bottom});
}

void TcxRect::SetTopRight(const TPoint& AValue)
{
  SetRect(TRect{FRect.left, AValue.y, AValue.x, FRect.bottom});
}

void TcxRect::SetBottomLeft(const TPoint& AValue)
{
  SetRect(TRect{AValue.x, FRect.top, FRect.right, AValue.y});
}

void TcxRect::SetBottomRight(const TPoint& AValue)
{
  SetRect(TRect{FRect.left, FRect.top, AValue.x, AValue.y});
}

void TcxRect::CopyFrom(rtl::TPersistent* ASource)
{
  inherited::CopyFrom(ASource);
  if (rtl::Is<TcxRect>(ASource))
    SetRect(static_cast<TcxRect*>(ASource)->GetRect());
}

void TcxRect::AdjustRect(TRect& /*ARect*/) {}

// TcxSize

void TcxSize::Create(rtl::TPersistent* AOwner, int ADefaultWidth, int ADefaultHeight)
{
  inherited::Create(AOwner);
  FDefaultSize = TSize{ADefaultWidth, ADefaultHeight};
  FSize = FDefaultSize;
}

void TcxSize::ChangeScale(int M, int D)
{
  SetSize(ScaleSize(FSize, M, D));
}

void TcxSize::LoadFromStream(rtl::TStream* AStream)
{
  const auto Values = ReadIntegers<2>(AStream);
  SetSize(TSize{Values[0], Values[1]});
}

void TcxSize::SaveToStream(rtl::TStream* AStream)
{
  WriteIntegers<2>(AStream, {FSize.cx, FSize.cy});
}

bool TcxSize::IsEmpty() const
{
  return cxSizeIsZero(FSize);
}

bool TcxSize::IsEqual(const TSize& ASize) const
{
  return cxSizesEqual(FSize, ASize);
}

bool TcxSize::IsEqual(const TcxSize* ASize) const
{
  return ASize && IsEqual(ASize->GetSize());
}

int TcxSize::GetValue(int AIndex) const
{
  return AIndex == 0 ? FSize.cy : FSize.cx;
}

bool TcxSize::IsValueStored(int AIndex) const
{
  const int ADefault = AIndex == 0 ? FDefaultSize.cy : FDefaultSize.cx;
  return GetValue(AIndex) != ADefault;
}

void TcxSize::SetValue(int AIndex, int AValue)
{
  TSize S = GetSize();
  if (AIndex == 0)
    S.cy = AValue;
  else
    S.cx = AValue;
  SetSize(S);
}

void TcxSize::SetSize(const TSize& AValue)
{
  const TSize S{std::max<LONG>(AValue.cx, 0), std::max<LONG>(AValue.cy, 0)};
  if (cxSizesEqual(S, FSize))
    return;
  FSize = S;
  DoChange();
}

void TcxSize::CopyFrom(rtl::TPersistent* ASource)
{
  inherited::CopyFrom(ASource);
  if (rtl::Is<TcxSize>(ASource))
    SetSize(static_cast<TcxSize*>(ASource)->GetSize());
}

// TcxMargin

void TcxMargin::Create(rtl::TPersistent* AOwner, int ADefaultValue)
{
  inherited::Create(AOwner);
  FDefaultValue = ADefaultValue;
  SetAll(ADefaultValue);
}

void TcxMargin::ChangeScale(int M, int D)
{
  FMargin = ScaleRect(FMargin, M, D);
}

void TcxMargin::LoadFromStream(rtl::TStream* AStream)
{
  SetMargin(RectOfIntegers(ReadIntegers<4>(AStream)));
}

void TcxMargin::SaveToStream(rtl::TStream* AStream)
{
  WriteIntegers(AStream, IntegersOfRect(FMargin));
}

bool TcxMargin::IsEqual(const TcxMargin* AMargin) const
{
  return AMargin && cxRectsEqual(FMargin, AMargin->GetMargin());
}

int TcxMargin::GetValue(int AIndex) const
{
  switch (AIndex) {
    case 0: {
      const bool AllEqual = FMargin.left == FMargin.top && FMargin.left == FMargin.right &&
                            FMargin.left == FMargin.bottom;
      return AllEqual ? FMargin.left : -1;
    }
    case 1:
      return FMargin.left;
    case 2:
      return FMargin.top;
    case 3:
      return FMargin.right;
    default:
      return FMargin.bottom;
  }
}

void TcxMargin::SetValue(int AIndex, int AValue)
{
  if (AValue == GetValue(AIndex))
    return;
  switch (AIndex) {
    case 0:
      FMargin = TRect{AValue, AValue, AValue, AValue};
      break;
    case 1:
      FMargin.left = AValue;
      break;
    case 2:
      FMargin.top = AValue;
      break;
    case 3:
      FMargin.right = AValue;
      break;
    default:
      FMargin.bottom = AValue;
      break;
  }
  DoChange();
}

bool TcxMargin::IsValueStored(int AIndex) const
{
  if (AIndex == 0)
    return GetAll() != FDefaultValue;
  return GetAll() == -1;
}

void TcxMargin::SetMargin(const TRect& AValue)
{
  if (cxRectsEqual(AValue, FMargin))
    return;
  FMargin = AValue;
  DoChange();
}

void TcxMargin::CopyFrom(rtl::TPersistent* ASource)
{
  inherited::CopyFrom(ASource);
  if (rtl::Is<TcxMargin>(ASource))
    SetMargin(static_cast<TcxMargin*>(ASource)->GetMargin());
}

// ---------------------------------------------------------------------------
// Unit start-up and finish: TcxRect can be streamed by class name.

namespace {

void cxGeometryInitialization()
{
  rtl::RegisterClass(rtl::TPersistentClass::Of<TcxRect>());
}

void cxGeometryFinalization()
{
  rtl::UnRegisterClass(rtl::TPersistentClass::Of<TcxRect>());
}

}  // namespace

RTL_UNIT(cxGeometry, &cxGeometryInitialization, &cxGeometryFinalization);
