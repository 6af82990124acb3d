#pragma once
// Geometry of painters, layouts and vector drawing:
// - TdxPointF, TdxSizeF, TdxRectF: single-precision records with tolerant
//   equality;
// - free routines on integer rectangles, points, sizes and margins, and on
//   the float records;
// - XFORM builders and TdxMatrix, the affine transformation of the vector
//   drawing code.
// Rectangles are half-open for point tests (Left <= X < Right) and have area
// only when Left < Right and Top < Bottom. Every routine is a pure function
// and none raises.

#include <windows.h>

#include <span>

#include "core/dxTypeHelpers.h"
#include "platform/rtl/System.h"

struct TdxSizeF;

struct TdxPointF {
  float X;
  float Y;

  TdxPointF() = default;
  constexpr TdxPointF(float AX, float AY) : X(AX), Y(AY) {}
  // Implicit both ways, as the records convert in the framework; towards
  // integers each coordinate is rounded with halves to even.
  constexpr TdxPointF(const TPoint& P) : X(static_cast<float>(P.x)), Y(static_cast<float>(P.y)) {}
  operator TPoint() const;

  static TdxPointF Create(float AX, float AY);
  static TdxPointF Null();
  void Init(float AX, float AY);
  void Offset(float DX, float DY, bool APositiveFactor = true);
  void Offset(const TdxPointF& P, bool APositiveFactor = true);
  void Offset(const TdxSizeF& S, bool APositiveFactor = true);
  void Scale(float DX, float DY);
  void Scale(const TdxPointF& P);
  void Scale(const TdxSizeF& S);

  // Tolerant: see cxPointFsEqual.
  friend bool operator==(const TdxPointF& A, const TdxPointF& B);
};

struct TdxSizeF {
  float cx;
  float cy;

  static TdxSizeF Create(float AWidth, float AHeight);
  static TdxSizeF Null();
  void Init(float AWidth, float AHeight);
  // Each component rounded up to a whole number.
  TdxSizeF Ceil() const;
};

struct TdxRectF {
  // In this order, so that the rectangle reads as two consecutive points.
  float Left;
  float Top;
  float Right;
  float Bottom;

  TdxRectF() = default;
  constexpr TdxRectF(float ALeft, float ATop, float ARight, float ABottom)
    : Left(ALeft), Top(ATop), Right(ARight), Bottom(ABottom) {}
  constexpr TdxRectF(const TRect& R)
    : Left(static_cast<float>(R.left)), Top(static_cast<float>(R.top)),
      Right(static_cast<float>(R.right)), Bottom(static_cast<float>(R.bottom)) {}

  static TdxRectF Create(float ALeft, float ATop, float ARight, float ABottom);
  static TdxRectF CreateSize(float ALeft, float ATop, float AWidth, float AHeight);
  static TdxRectF Null();
  void Init(float ALeft, float ATop, float ARight, float ABottom);
  void InitSize(float ALeft, float ATop, float AWidth, float AHeight);
  void Assign(const TRect& Value);

  TdxPointF CenterPoint() const;
  void Empty();
  void Inflate(float DX, float DY);
  void Inflate(const TdxPointF& P);
  void Inflate(const TdxSizeF& S);
  // No area unless Right > Left and Bottom > Top; a NaN has none.
  bool IsEmpty() const;
  // Every coordinate within 1E-4 of zero.
  bool IsZero() const;
  // Clips to R; an empty but edge-touching result of zero width or height is
  // kept, an inverted (or NaN) one becomes the null rectangle.
  void Intersect(const TdxRectF& R);
  void Normalize();
  void Offset(float X, float Y);
  // Aspect-preserving fit of this rectangle into ABounds, centred along the
  // axis with room to spare.
  TdxRectF ZoomInto(const TdxRectF& ABounds) const;
  TdxRectF ZoomInto(const TdxSizeF& ASize) const;

  float GetWidth() const;
  float GetHeight() const;
  TdxPointF GetTopLeft() const;
  TdxPointF GetBottomRight() const;
  TdxSizeF GetSize() const;
  void SetWidth(float Value);
  void SetHeight(float Value);
  void SetTopLeft(const TdxPointF& Value);
  void SetBottomRight(const TdxPointF& Value);

  // Tolerant on each coordinate: see cxPointFsEqual.
  friend bool operator==(const TdxRectF& A, const TdxRectF& B);
};

constexpr TRect cxNullRect{0, 0, 0, 0};
// What window queries return on failure.
constexpr TRect cxInvalidRect{-1, -1, -1, -1};
constexpr TPoint cxNullPoint{0, 0};
constexpr TSize cxNullSize{0, 0};

// Integer rectangles. A margins rectangle holds the widths of the left, top,
// right and bottom margins in its four fields.
TRect cxRectMake(int ALeft, int ATop, int ARight, int ABottom);
TRect cxRectFromPoints(const TPoint& ATopLeft, const TPoint& ABottomRight);
TRect cxRectFromSize(const TSize& ASize);
TRect cxRectBounds(int ALeft, int ATop, int AWidth, int AHeight);
TRect cxRectBoundsOfSize(int ALeft, int ATop, const TSize& ASize);
TRect cxRectBoundsAtPoint(const TPoint& P, int AWidth, int AHeight);
int cxRectGetWidth(const TRect& R);
int cxRectGetHeight(const TRect& R);
TSize cxRectGetSize(const TRect& R);
TSize cxSizeOfRect(const TRect& R);
int cxMarginsHorzSum(const TRect& AMargins);
int cxMarginsVertSum(const TRect& AMargins);
bool cxRectHasNoArea(const TRect& R);
bool cxRectIsAllZero(const TRect& R);
bool cxRectIsInvalid(const TRect& R);
bool cxRectsEqual(const TRect& A, const TRect& B);
bool cxRectsSameSize(const TRect& A, const TRect& B);
bool cxRectContainsPoint(const TRect& R, const TPoint& P);
bool cxRectContainsXY(const TRect& R, int X, int Y);
bool cxRectContainsRect(const TRect& ABounds, const TRect& AInner);
// False, with AResult the null rectangle, unless the overlap has area.
bool cxRectIntersection(TRect& AResult, const TRect& A, const TRect& B);
bool cxRectsOverlap(const TRect& A, const TRect& B);
TRect cxRectUnionNonEmpty(const TRect& A, const TRect& B);
TRect cxRectInflateXY(const TRect& R, int DX, int DY);
TRect cxRectInflateAll(const TRect& R, int D);
TRect cxRectInflateSides(const TRect& R, int DL, int DT, int DR, int DB);
TRect cxRectInflateByMargins(const TRect& R, const TRect& AMargins);
TRect cxRectDeflateByMargins(const TRect& R, const TRect& AMargins);
TRect cxRectShiftSides(const TRect& R, int DL, int DT, int DR, int DB);
TRect cxRectShiftSidesByRect(const TRect& R, const TRect& D);
TRect cxRectOffsetBy(const TRect& R, int DX, int DY, bool APositiveFactor = true);
TRect cxRectOffsetByPoint(const TRect& R, const TPoint& P, bool APositiveFactor = true);
TRect cxRectShiftHorz(const TRect& R, int DX);
TRect cxRectShiftVert(const TRect& R, int DY);
TRect cxRectMoveToLeft(const TRect& R, int X);
TRect cxRectMoveToTop(const TRect& R, int Y);
TRect cxRectMoveToPoint(const TRect& R, const TPoint& P);
TRect cxRectMoveToOrigin(const TRect& R);
TRect cxRectSetLeftAndWidth(const TRect& R, int X, int W);
TRect cxRectSetRightAndWidth(const TRect& R, int X, int W);
TRect cxRectSetTopAndHeight(const TRect& R, int Y, int H);
TRect cxRectSetBottomAndHeight(const TRect& R, int Y, int H);
TRect cxRectWithWidth(const TRect& R, int W);
TRect cxRectWithHeight(const TRect& R, int H);
TRect cxRectWithSize(const TRect& R, int W, int H);
TRect cxRectWithSizeOf(const TRect& R, const TSize& S);
TRect cxRectWithHorzBounds(const TRect& R, int ALeft, int ARight);
TRect cxRectWithVertBounds(const TRect& R, int ATop, int ABottom);
TRect cxRectNormalized(const TRect& R);
TRect cxRectNegate(const TRect& R);
TRect cxRectTranspose(const TRect& R);
TPoint cxRectBottomLeftPoint(const TRect& R);
// Centring halves round towards minus infinity: 5 gives 2, -5 gives -3.
TPoint cxRectCenterPoint(const TRect& R);
TRect cxRectCenterBox(const TRect& R, int W, int H);
TRect cxRectCenterBoxOfSize(const TRect& R, const TSize& S);
TRect cxRectCenterHorzBox(const TRect& R, int W);
TRect cxRectCenterVertBox(const TRect& R, int H);
TRect cxRectFitAspect(const TRect& R, int A, int B);
TRect cxRectFitAspectOfSize(const TRect& R, const TSize& AProportions);
// MulDiv: rounds halves away from zero.
TRect cxRectScaleBy(const TRect& R, int N, int D);
TRect cxRectScaleXY(const TRect& R, int NX, int DX, int NY, int DY);

// Integer points and sizes.
TPoint cxPointMake(int X, int Y);
TPoint cxPointCopy(const TPoint& P);
TPoint cxPointNegate(const TPoint& P);
bool cxPointsEqual(const TPoint& A, const TPoint& B);
bool cxPointIsOrigin(const TPoint& P);
TPoint cxPointOffsetBy(const TPoint& P, int DX, int DY, bool APositiveFactor = true);
TPoint cxPointOffsetByPoint(const TPoint& P, const TPoint& D, bool APositiveFactor = true);
TPoint cxPointScale(const TPoint& P, int N, int D);
// Bounds of APoints[0..ALastIndex]; the extreme points lie on Right and
// Bottom, not inside. A negative ALastIndex gives the null rectangle.
TRect cxPointsBounds(std::span<const TPoint> APoints, int ALastIndex);
TSize cxSizeMake(int cx, int cy);
TSize cxSizeSquare(int V);
bool cxSizesEqual(const TSize& A, const TSize& B);
bool cxSizeIsZero(const TSize& S);
bool cxSizeHasArea(const TSize& S);
TSize cxSizeMax(const TSize& A, const TSize& B);
TSize cxSizeScale(const TSize& S, int N, int D);
// The largest size of proportions A:B inside S, truncated; S itself when a
// size or proportion is not positive.
TSize cxSizeFitAspect(const TSize& S, int A, int B);
TSize cxSizeFitAspectOfSize(const TSize& S, const TSize& AProportions);

// Float records.
TdxRectF cxRectFMake(float ALeft, float ATop, float ARight, float ABottom);
TdxRectF cxRectFBounds(float ALeft, float ATop, float AWidth, float AHeight);
float cxRectFGetWidth(const TdxRectF& R);
float cxRectFGetHeight(const TdxRectF& R);
bool cxRectFHasNoArea(const TdxRectF& R);
TdxRectF cxRectFWithSize(const TdxRectF& R, const TdxSizeF& S);
TdxRectF cxRectFScale(const TdxRectF& R, float F);
TdxPointF cxPointFScale(const TdxPointF& P, float F);
TdxPointF cxRectFCenterPoint(const TdxRectF& R);
TdxRectF cxRectToRectF(const TRect& R);
TdxPointF cxPointToPointF(const TPoint& P);
// ATruncate: towards zero; otherwise to nearest with halves to even.
TRect cxRectFToRect(const TdxRectF& R, bool ATruncate);
TPoint cxPointFToPoint(const TdxPointF& P, bool ATruncate);
TSize cxSizeFToSize(const TdxSizeF& S, bool ATruncate);
TdxPointF cxPointFMake(float X, float Y);
TdxPointF cxPointFCreate(float X, float Y);
// |A - B| <= max(1E-4 x min(|A|, |B|), 1E-4) on each coordinate.
bool cxPointFsEqual(const TdxPointF& A, const TdxPointF& B);
TdxPointF cxPointFOffsetBy(const TdxPointF& P, float DX, float DY, bool APositiveFactor = true);
TdxPointF cxPointFOffsetByPoint(const TdxPointF& P, const TdxPointF& D, bool APositiveFactor = true);
TdxRectF cxPointFsBounds(std::span<const TdxPointF> APoints, int ALastIndex);

// XFORM builders. A point (x, y) maps to
// (x eM11 + y eM21 + eDx, x eM12 + y eM22 + eDy).
XFORM cxXFormIdentity();
XFORM cxXFormMake(float M11, float M12, float M21, float M22, float DX, float DY);
XFORM cxXFormTranslation(float DX, float DY);
XFORM cxXFormScaling(float AScaleX, float AScaleY);
// AAngle in degrees, counter-clockwise in a y-up system.
XFORM cxXFormRotation(float AAngle);
// A mirror about the vertical and/or horizontal line through the centre.
XFORM cxXFormMirror(bool AHorizontal, bool AVertical, float ACenterX, float ACenterY);
// A applied first, then B; the platform's own composition, so that results
// match the device context's world transform.
XFORM cxXFormCombine(const XFORM& A, const XFORM& B);

// Prepend applies the new step before the existing transformation, append
// after it.
enum TdxTransformationOrder { moPrepend, moAppend };

// The 2-D affine transformation of the vector drawing code.
class TdxMatrix : public rtl::TObject {
  RTL_CLASS(TdxMatrix, rtl::TObject)

public:
  void Create();
  void CreateEx(float M11, float M12, float M21, float M22, float DX, float DY);
  void CreateEx(const TdxMatrix* M);

  void Assign(const TdxMatrix* M);
  void Assign(float M11, float M12, float M21, float M22, float DX, float DY);
  void Reset();
  // Exact comparison: a full turn leaves rounding noise and is no identity.
  bool IsIdentity() const;

  TdxPointF Transform(const TdxPointF& APoint) const;
  // Only the top-left and bottom-right corners are mapped, so under a
  // rotation the result is neither a bounding box nor normalised.
  TdxRectF Transform(const TdxRectF& ARect) const;

  void Multiply(const TdxMatrix* M, TdxTransformationOrder AOrder);
  void Rotate(float AAngle, TdxTransformationOrder AOrder);
  void Rotate(float AAngle, const TPoint& APivotPoint, TdxTransformationOrder AOrder);
  void Rotate(float AAngle, const TdxPointF& APivotPoint, TdxTransformationOrder AOrder);
  void Scale(float AScaleX, float AScaleY, TdxTransformationOrder AOrder);
  void Scale(const TdxPointF& AScale, TdxTransformationOrder AOrder);
  void Translate(float DX, float DY, TdxTransformationOrder AOrder);
  void Translate(const TdxPointF& AOffset, TdxTransformationOrder AOrder);

  const XFORM& GetXForm() const { return FMatrix; }

private:
  void Combine(const XFORM& AStep, TdxTransformationOrder AOrder);

  XFORM FMatrix;
};
