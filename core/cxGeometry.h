#pragma once
// Geometry of painters, layouts and vector drawing:
// - TdxPointF, TdxSizeF, TdxRectF: single-precision records with tolerant
//   equality;
// - free routines on integer rectangles, points, sizes and margins, and on
//   the float records;
// - XFORM builders and TdxMatrix, the affine transformation of the vector
//   drawing code;
// - TdxScaleFactor and TdxOwnedScaleFactor, the exact DPI scale of what is
//   drawn, with cxReduceFraction;
// - TcxRect, TcxSize and TcxMargin, owned persistent objects holding one
//   rectangle, size or set of margins as a component's property.
// Rectangles are half-open for point tests (Left <= X < Right) and have area
// only when Left < Right and Top < Bottom. Every routine is a pure function
// and none raises.

#include <windows.h>

#include <span>
#include <vector>

#include "core/cxClasses.h"
#include "core/dxTypeHelpers.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemEvents.h"
#include "platform/rtl/SystemUnits.h"

RTL_DECLARE_UNIT(cxGeometry);

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

// ---------------------------------------------------------------------------
// Scale factors. Sizes are designed at 96 DPI; a scale factor holds the ratio
// to the DPI that shows them as an exact fraction. Integer scaling goes
// through MulDiv (64-bit intermediate, halves away from zero); a 1:1 factor
// returns values unchanged.

// Divides N and D by their greatest common divisor. A value below 1 leaves
// both as they are.
void cxReduceFraction(int& N, int& D);

// Sent after a change, with M/D the new factor divided by the old one, so
// that a listener can rescale values it has scaled already. M and D are the
// plain products, not reduced.
using TdxScaleFactorNotifyEvent = rtl::TMethod<void(rtl::TObject* Sender, int M, int D, bool IsLoading)>;

class TdxScaleFactor : public rtl::TObject {
  RTL_CLASS(TdxScaleFactor, rtl::TObject)

 public:
  // 1:1, no listeners.
  void Create();

  // Reduces the fraction; when it differs from the current one, stores it
  // and tells the listeners the relative change.
  void Assign(int ANumerator, int ADenominator, bool AIsLoading);
  // Not loading. A nil source counts as 1:1.
  void Assign(const TdxScaleFactor* ASource);
  // Multiplies the factor by ANumerator/ADenominator.
  void Change(int ANumerator, int ADenominator);
  // The same ratio; false for nil and for objects that are no scale factor.
  bool Equals(const rtl::TObject* Obj) const;

  // Not 1:1.
  bool GetAssigned() const { return FNumerator != FDenominator; }
  int GetNumerator() const { return FNumerator; }
  int GetDenominator() const { return FDenominator; }

  int Apply(int V) const;
  TPoint Apply(const TPoint& V) const;
  TSize Apply(const TSize& V) const;
  TRect Apply(const TRect& V) const;
  // Exact, no rounding.
  double ApplyF(double V) const;
  int Revert(int V) const;
  TPoint Revert(const TPoint& V) const;
  TSize Revert(const TSize& V) const;
  TRect Revert(const TRect& V) const;
  double RevertF(double V) const;

  // A value expressed at the scale ASourceNumerator/ASourceDenominator (or
  // at the source factor's; nil counts as 1:1) converted to this scale.
  int Apply(int V, int ASourceNumerator, int ASourceDenominator) const;
  TPoint Apply(const TPoint& V, int ASourceNumerator, int ASourceDenominator) const;
  TSize Apply(const TSize& V, int ASourceNumerator, int ASourceDenominator) const;
  TRect Apply(const TRect& V, int ASourceNumerator, int ASourceDenominator) const;
  int Apply(int V, const TdxScaleFactor* ASourceScaleFactor) const;
  TPoint Apply(const TPoint& V, const TdxScaleFactor* ASourceScaleFactor) const;
  TSize Apply(const TSize& V, const TdxScaleFactor* ASourceScaleFactor) const;
  TRect Apply(const TRect& V, const TdxScaleFactor* ASourceScaleFactor) const;

  // Raises EdxException "Listener is already registered" for a handler with
  // the same object and code; nothing is added then.
  void ListenerAdd(const TdxScaleFactorNotifyEvent& AEventHandler);
  // A handler that is not registered is ignored.
  void ListenerRemove(const TdxScaleFactorNotifyEvent& AEventHandler);

 protected:
  // Tells every listener registered when the walk starts, in registration
  // order, unless M = D. Listeners may add or remove handlers meanwhile: one
  // removed before its turn is not called, one added is not called.
  virtual void Changed(int M, int D, bool AIsLoading);

 private:
  int FDenominator;
  int FNumerator;
  std::vector<TdxScaleFactorNotifyEvent> FListeners;
};

// Follows its owner's value until it is assigned by anyone else; setting
// UseOwnerValue again takes the owner's value at once. The owner is not
// owned and must outlive this factor or be reset first.
class TdxOwnedScaleFactor : public TdxScaleFactor {
  RTL_CLASS(TdxOwnedScaleFactor, TdxScaleFactor)

 public:
  void Create();
  void BeforeDestruction() override;

  TdxScaleFactor* GetOwner() const { return FOwner; }
  // Ignored for the current owner and for the factor itself.
  void SetOwner(TdxScaleFactor* AValue);
  bool GetUseOwnerValue() const { return FUseOwnerValue; }
  void SetUseOwnerValue(bool AValue);

 protected:
  // Any assignment that is not part of loading detaches the factor from its
  // owner; UpdateFromOwner attaches it again.
  void Changed(int M, int D, bool AIsLoading) override;

 private:
  void OwnerChanged(rtl::TObject* Sender, int M, int D, bool IsLoading);
  void UpdateFromOwner(bool AIsLoading);
  TdxScaleFactorNotifyEvent OwnerHandler();

  TdxScaleFactor* FOwner;
  bool FUseOwnerValue;
};

// ---------------------------------------------------------------------------
// Persistent geometry objects. Each holds one value as a property of its
// owner, tells the owner about every real change through OnChange (writing
// the value it already has tells nothing), rescales itself when the owner's
// DPI changes, and reads and writes its raw value as little-endian 32-bit
// integers without a header.

class TcxGeometryObject : public TcxOwnedPersistent {
  RTL_CLASS(TcxGeometryObject, TcxOwnedPersistent)

 public:
  // Called by the owner when its scale changes by M/D. Nothing here.
  virtual void ChangeScale(int M, int D);
  // A short stream raises the stream's read error and changes nothing.
  virtual void LoadFromStream(rtl::TStream* AStream);
  virtual void SaveToStream(rtl::TStream* AStream);

  const rtl::TNotifyEvent& GetOnChange() const { return FOnChange; }
  void SetOnChange(const rtl::TNotifyEvent& AValue) { FOnChange = AValue; }

 protected:
  // OnChange with this object as sender, when assigned.
  virtual void DoChange();

 private:
  rtl::TNotifyEvent FOnChange;
};

// A rectangle; starts at (0, 0, 0, 0).
class TcxRect : public TcxGeometryObject {
  RTL_CLASS(TcxRect, TcxGeometryObject)

 public:
  void ChangeScale(int M, int D) override;
  // 16 bytes: Left, Top, Right, Bottom.
  void LoadFromStream(rtl::TStream* AStream) override;
  void SaveToStream(rtl::TStream* AStream) override;

  // Unless Left < Right and Top < Bottom.
  bool IsEmpty() const;
  bool IsEqual(const TRect& ARect) const;
  // Nil is equal to nothing.
  bool IsEqual(const TcxRect* ARect) const;

  // 0 Left, 1 Top, 2 Right, any other index Bottom.
  int GetValue(int AIndex) const;
  // 0 Left, 1 Top, 2 Right, 3 Bottom; another index changes nothing.
  void SetValue(int AIndex, int AValue);

  const TRect& GetRect() const { return FRect; }
  // Every write ends here: AdjustRect, then store and notify when different.
  void SetRect(const TRect& AValue);

  int GetLeft() const { return GetValue(0); }
  int GetTop() const { return GetValue(1); }
  int GetRight() const { return GetValue(2); }
  int GetBottom() const { return GetValue(3); }
  void SetLeft(int AValue) { SetValue(0, AValue); }
  void SetTop(int AValue) { SetValue(1, AValue); }
  void SetRight(int AValue) { SetValue(2, AValue); }
  void SetBottom(int AValue) { SetValue(3, AValue); }

  int GetWidth() const;
  int GetHeight() const;
  // Move Right and Bottom; Left and Top stay.
  void SetWidth(int AValue);
  void SetHeight(int AValue);

  TPoint GetTopLeft() const;
  TPoint GetTopRight() const;
  TPoint GetBottomLeft() const;
  TPoint GetBottomRight() const;
  // Each replaces the two coordinates the corner is made of.
  void SetTopLeft(const TPoint& AValue);
  void SetTopRight(const TPoint& AValue);
  void SetBottomLeft(const TPoint& AValue);
  void SetBottomRight(const TPoint& AValue);

 protected:
  // Copies from a TcxRect only.
  void CopyFrom(rtl::TPersistent* ASource) override;
  // Lets a descendant correct a rectangle before it is compared and stored.
  virtual void AdjustRect(TRect& ARect);

 private:
  TRect FRect;
};

// A width and height, neither below 0, with a default each is stored against.
class TcxSize : public TcxGeometryObject {
  RTL_CLASS(TcxSize, TcxGeometryObject)

 public:
  // The default and the current size both become (ADefaultWidth,
  // ADefaultHeight).
  void Create(rtl::TPersistent* AOwner, int ADefaultWidth, int ADefaultHeight);

  void ChangeScale(int M, int D) override;
  // 8 bytes: cx, cy.
  void LoadFromStream(rtl::TStream* AStream) override;
  void SaveToStream(rtl::TStream* AStream) override;

  // The size is (0, 0).
  bool IsEmpty() const;
  bool IsEqual(const TSize& ASize) const;
  // Nil is equal to nothing.
  bool IsEqual(const TcxSize* ASize) const;

  // 0 the height (cy), any other index the width (cx).
  virtual int GetValue(int AIndex) const;
  // The published Height (index 0) and Width (index 1) are stored only where
  // they differ from the default size.
  virtual bool IsValueStored(int AIndex) const;
  // 0 the height, any other index the width; through SetSize.
  void SetValue(int AIndex, int AValue);

  const TSize& GetSize() const { return FSize; }
  // Every write ends here: negative components become 0, then store and
  // notify when different.
  virtual void SetSize(const TSize& AValue);

  int GetHeight() const { return GetValue(0); }
  int GetWidth() const { return GetValue(1); }
  void SetHeight(int AValue) { SetValue(0, AValue); }
  void SetWidth(int AValue) { SetValue(1, AValue); }

 protected:
  // Copies from a TcxSize only.
  void CopyFrom(rtl::TPersistent* ASource) override;

 private:
  TSize FDefaultSize;
  TSize FSize;
};

// Four margins, kept as a margins rectangle (the widths of the left, top,
// right and bottom margins), with a default value for all four.
class TcxMargin : public TcxGeometryObject {
  RTL_CLASS(TcxMargin, TcxGeometryObject)

 public:
  // Stores the default and writes it to All.
  void Create(rtl::TPersistent* AOwner, int ADefaultValue);

  // Rescales the sides without OnChange: the owner rescales as a whole and
  // reports that itself.
  void ChangeScale(int M, int D) override;
  // 16 bytes: the left, top, right and bottom margins.
  void LoadFromStream(rtl::TStream* AStream) override;
  void SaveToStream(rtl::TStream* AStream) override;

  // Four sides equal; nil is equal to nothing.
  bool IsEqual(const TcxMargin* AMargin) const;

  // 0 All (the common value of the four sides, -1 when they differ), 1 Left,
  // 2 Top, 3 Right, any other index Bottom.
  int GetValue(int AIndex) const;
  // Nothing happens when AValue is the property's current value, so writing
  // -1 to All while the sides differ changes nothing. Index 0 sets all four
  // sides, 1 to 4 one side each; then OnChange.
  void SetValue(int AIndex, int AValue);
  // How the published values stream: only All, and only when it differs from
  // the default, while the sides are equal; All as -1 followed by each side
  // while they differ. Read back in the order All, Left, Top, Right, Bottom,
  // this first sets every side to -1 and then each to its own value.
  bool IsValueStored(int AIndex) const;

  const TRect& GetMargin() const { return FMargin; }
  // Stores and notifies when any side differs.
  void SetMargin(const TRect& AValue);

  int GetAll() const { return GetValue(0); }
  int GetLeft() const { return GetValue(1); }
  int GetTop() const { return GetValue(2); }
  int GetRight() const { return GetValue(3); }
  int GetBottom() const { return GetValue(4); }
  void SetAll(int AValue) { SetValue(0, AValue); }
  void SetLeft(int AValue) { SetValue(1, AValue); }
  void SetTop(int AValue) { SetValue(2, AValue); }
  void SetRight(int AValue) { SetValue(3, AValue); }
  void SetBottom(int AValue) { SetValue(4, AValue); }

 protected:
  // Copies from a TcxMargin only.
  void CopyFrom(rtl::TPersistent* ASource) override;

 private:
  int FDefaultValue;
  TRect FMargin;
};
