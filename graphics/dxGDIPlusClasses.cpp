// The matrix, brush and pen wrappers.
#include "graphics/dxGDIPlusClasses.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "platform/rtl/SysUtils.h"

using enum vcl::TPenStyle;

namespace {

// The geometry units' tolerance: a difference of at most the larger of 1E-4
// and 1E-4 times the smaller magnitude.
bool dxGpSameValue(float A, float B)
{
  const float epsilon = std::max(1e-4f * std::min(std::fabs(A), std::fabs(B)), 1e-4f);
  return std::fabs(A - B) <= epsilon;
}

Gdiplus::GpMatrix* NativeMatrix(void* AHandle)
{
  return static_cast<Gdiplus::GpMatrix*>(AHandle);
}

}  // namespace

// ---------------------------------------------------------------------------
// TdxGPCustomGraphicObject

void TdxGPCustomGraphicObject::BeforeDestruction()
{
  inherited::BeforeDestruction();
  FreeHandle();
}

void TdxGPCustomGraphicObject::Assign(TdxGPCustomGraphicObject*) {}

void TdxGPCustomGraphicObject::HandleNeeded()
{
  if (FHandle)
    return;
  ++FChangeLockCount;
  try {
    CreateNativeHandle(FHandle);
    NativeHandleCreated();
  } catch (...) {
    --FChangeLockCount;
    throw;
  }
  --FChangeLockCount;
}

void TdxGPCustomGraphicObject::FreeHandle()
{
  if (!FHandle)
    return;
  void* handle = std::exchange(FHandle, nullptr);
  FreeNativeHandle(handle);
}

void TdxGPCustomGraphicObject::NotifyChanged()
{
  if (FChangeLockCount == 0 && FOnChange)
    FOnChange(this);
}

// ---------------------------------------------------------------------------
// TdxGPMatrix

void TdxGPMatrix::CreateEx(const XFORM& XForm)
{
  CreateEx(XForm.eM11, XForm.eM12, XForm.eM21, XForm.eM22, XForm.eDx, XForm.eDy);
}

void TdxGPMatrix::CreateEx(float M11, float M12, float M21, float M22, float DX, float DY)
{
  Create();
  SetElements(M11, M12, M21, M22, DX, DY);
}

void TdxGPMatrix::CreateFlip(bool AFlipHorizontally, bool AFlipVertically, float APivotPointX, float APivotPointY)
{
  CreateEx(AFlipHorizontally ? -1.0f : 1.0f, 0, 0, AFlipVertically ? -1.0f : 1.0f,
           AFlipHorizontally ? 2 * APivotPointX : 0.0f, AFlipVertically ? 2 * APivotPointY : 0.0f);
}

void TdxGPMatrix::CreateFlip(bool AFlipHorizontally, bool AFlipVertically, const TdxPointF& APivotPoint)
{
  CreateFlip(AFlipHorizontally, AFlipVertically, APivotPoint.X, APivotPoint.Y);
}

void TdxGPMatrix::CreateNativeHandle(void*& AHandle)
{
  Gdiplus::GpMatrix* matrix = nullptr;
  dxGpCheck(dxGpFunctions.GdipCreateMatrix(&matrix));
  AHandle = matrix;
}

void TdxGPMatrix::FreeNativeHandle(void* AHandle)
{
  dxGpCheck(dxGpFunctions.GdipDeleteMatrix(NativeMatrix(AHandle)));
}

void TdxGPMatrix::Assign(TdxGPCustomGraphicObject* ASource)
{
  if (!ASource || !ASource->InheritsFrom(TdxGPMatrix::StaticClass()))
    return;
  float m[6];
  static_cast<TdxGPMatrix*>(ASource)->GetElements(m[0], m[1], m[2], m[3], m[4], m[5]);
  SetElements(m[0], m[1], m[2], m[3], m[4], m[5]);
}

TdxGPMatrix* TdxGPMatrix::Clone()
{
  float m[6];
  GetElements(m[0], m[1], m[2], m[3], m[4], m[5]);
  return rtl::NewWith<TdxGPMatrix>([&](TdxGPMatrix* AMatrix) { AMatrix->CreateEx(m[0], m[1], m[2], m[3], m[4], m[5]); });
}

void TdxGPMatrix::GetElements(float& M11, float& M12, float& M21, float& M22, float& DX, float& DY)
{
  float m[6];
  dxGpCheck(dxGpFunctions.GdipGetMatrixElements(Handle(), m));
  M11 = m[0];
  M12 = m[1];
  M21 = m[2];
  M22 = m[3];
  DX = m[4];
  DY = m[5];
}

void TdxGPMatrix::SetElements(float M11, float M12, float M21, float M22, float DX, float DY)
{
  dxGpCheck(dxGpFunctions.GdipSetMatrixElements(Handle(), M11, M12, M21, M22, DX, DY));
  NotifyChanged();
}

void TdxGPMatrix::Reset()
{
  SetElements(1, 0, 0, 1, 0, 0);
}

void TdxGPMatrix::Invert()
{
  dxGpCheck(dxGpFunctions.GdipInvertMatrix(Handle()));
  NotifyChanged();
}

void TdxGPMatrix::Multiply(TdxGPMatrix* AMatrix, TdxGpMatrixOrder AMatrixOrder)
{
  dxGpCheck(dxGpFunctions.GdipMultiplyMatrix(Handle(), AMatrix->Handle(), AMatrixOrder));
  NotifyChanged();
}

void TdxGPMatrix::Rotate(float AAngle, TdxGpMatrixOrder AMatrixOrder)
{
  dxGpCheck(dxGpFunctions.GdipRotateMatrix(Handle(), AAngle, AMatrixOrder));
  NotifyChanged();
}

void TdxGPMatrix::Rotate(float AAngle, const TdxPointF& APivotPoint, TdxGpMatrixOrder AMatrixOrder)
{
  // Prepended steps run in reverse, so the sign flips with the order and the
  // pivot stays where it is either way.
  const float sign = AMatrixOrder == MatrixOrderPrepend ? 1.0f : -1.0f;
  Translate(sign * APivotPoint.X, sign * APivotPoint.Y, AMatrixOrder);
  Rotate(AAngle, AMatrixOrder);
  Translate(-sign * APivotPoint.X, -sign * APivotPoint.Y, AMatrixOrder);
}

void TdxGPMatrix::Scale(const TdxPointF& AScale, TdxGpMatrixOrder AMatrixOrder)
{
  Scale(AScale.X, AScale.Y, AMatrixOrder);
}

void TdxGPMatrix::Scale(float AScaleX, float AScaleY, TdxGpMatrixOrder AMatrixOrder)
{
  dxGpCheck(dxGpFunctions.GdipScaleMatrix(Handle(), AScaleX, AScaleY, AMatrixOrder));
  NotifyChanged();
}

void TdxGPMatrix::Scale(const TdxPointF& AScale, const TdxPointF& ACenter, TdxGpMatrixOrder)
{
  SetElements(AScale.X, 0, 0, AScale.Y, ACenter.X - ACenter.X * AScale.X, ACenter.Y - ACenter.Y * AScale.Y);
}

void TdxGPMatrix::Shear(const TdxPointF& AShear, TdxGpMatrixOrder AMatrixOrder)
{
  Shear(AShear.X, AShear.Y, AMatrixOrder);
}

void TdxGPMatrix::Shear(float AShearX, float AShearY, TdxGpMatrixOrder AMatrixOrder)
{
  dxGpCheck(dxGpFunctions.GdipShearMatrix(Handle(), AShearX, AShearY, AMatrixOrder));
  NotifyChanged();
}

void TdxGPMatrix::Translate(const TdxPointF& AOffset, TdxGpMatrixOrder AMatrixOrder)
{
  Translate(AOffset.X, AOffset.Y, AMatrixOrder);
}

void TdxGPMatrix::Translate(float AOffsetX, float AOffsetY, TdxGpMatrixOrder AMatrixOrder)
{
  dxGpCheck(dxGpFunctions.GdipTranslateMatrix(Handle(), AOffsetX, AOffsetY, AMatrixOrder));
  NotifyChanged();
}

void TdxGPMatrix::Flip(bool AFlipHorizontally, bool AFlipVertically, const TdxPointF& APivotPoint)
{
  if (!AFlipHorizontally && !AFlipVertically)
    return;
  rtl::TOwnedPtr<TdxGPMatrix> flip(rtl::NewWith<TdxGPMatrix>(
      [&](TdxGPMatrix* AMatrix) { AMatrix->CreateFlip(AFlipHorizontally, AFlipVertically, APivotPoint); }));
  Multiply(flip.get(), MatrixOrderAppend);
}

TdxPointF TdxGPMatrix::TransformPoint(const TdxPointF& APoint)
{
  float m11, m12, m21, m22, dx, dy;
  GetElements(m11, m12, m21, m22, dx, dy);
  return {APoint.X * m11 + APoint.Y * m21 + dx, APoint.X * m12 + APoint.Y * m22 + dy};
}

TPoint TdxGPMatrix::TransformPoint(const TPoint& APoint)
{
  return TransformPoint(TdxPointF(APoint));
}

void TdxGPMatrix::TransformPoints(std::vector<TPoint>& APoints)
{
  TransformPointsI(APoints.data(), static_cast<int>(APoints.size()));
}

void TdxGPMatrix::TransformPoints(std::vector<TdxPointF>& APoints)
{
  if (APoints.empty())
    return;
  float m11, m12, m21, m22, dx, dy;
  GetElements(m11, m12, m21, m22, dx, dy);
  for (TdxPointF& point : APoints)
    point = {point.X * m11 + point.Y * m21 + dx, point.X * m12 + point.Y * m22 + dy};
}

void TdxGPMatrix::TransformPointsI(TPoint* APoints, int ACount)
{
  if (ACount < 1)
    return;
  float m11, m12, m21, m22, dx, dy;
  GetElements(m11, m12, m21, m22, dx, dy);
  for (int i = 0; i < ACount; ++i) {
    const float x = static_cast<float>(APoints[i].x);
    const float y = static_cast<float>(APoints[i].y);
    APoints[i] = TdxPointF(x * m11 + y * m21 + dx, x * m12 + y * m22 + dy);
  }
}

TdxRectF TdxGPMatrix::TransformRect(const TdxRectF& R)
{
  const TdxPointF topLeft = TransformPoint(TdxPointF(R.Left, R.Top));
  const TdxPointF bottomRight = TransformPoint(TdxPointF(R.Right, R.Bottom));
  return {topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y};
}

TRect TdxGPMatrix::TransformRect(const TRect& R)
{
  const TPoint topLeft = TransformPoint(TPoint{R.left, R.top});
  const TPoint bottomRight = TransformPoint(TPoint{R.right, R.bottom});
  return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

TdxRectF TdxGPMatrix::GetBoundingRectangle(const TdxRectF& R)
{
  std::vector<TdxPointF> corners{{R.Left, R.Top}, {R.Right, R.Top}, {R.Right, R.Bottom}, {R.Left, R.Bottom}};
  TransformPoints(corners);
  TdxRectF result(corners[0].X, corners[0].Y, corners[0].X, corners[0].Y);
  for (const TdxPointF& corner : corners) {
    result.Left = std::min(result.Left, corner.X);
    result.Top = std::min(result.Top, corner.Y);
    result.Right = std::max(result.Right, corner.X);
    result.Bottom = std::max(result.Bottom, corner.Y);
  }
  return result;
}

bool TdxGPMatrix::IsIdentity()
{
  BOOL result = FALSE;
  dxGpCheck(dxGpFunctions.GdipIsMatrixIdentity(Handle(), &result));
  return result != FALSE;
}

bool TdxGPMatrix::IsInvertible()
{
  BOOL result = FALSE;
  dxGpCheck(dxGpFunctions.GdipIsMatrixInvertible(Handle(), &result));
  return result != FALSE;
}

float TdxGPMatrix::OffsetX()
{
  float m11, m12, m21, m22, dx, dy;
  GetElements(m11, m12, m21, m22, dx, dy);
  return dx;
}

float TdxGPMatrix::OffsetY()
{
  float m11, m12, m21, m22, dx, dy;
  GetElements(m11, m12, m21, m22, dx, dy);
  return dy;
}

// ---------------------------------------------------------------------------
// TdxGPBrushGradientPoints

void TdxGPBrushGradientPoints::Create()
{
  FColors.assign(2, 0);
  FOffsets.assign(2, 0);
}

int TdxGPBrushGradientPoints::Add(float AOffset, TdxAlphaColor AColor)
{
  if (FCount == FCapacity)
    Grow();
  const int index = FCount;
  FOffsets[index + 1] = AOffset;
  FColors[index + 1] = AColor;
  ++FCount;
  Changed();
  return index;
}

void TdxGPBrushGradientPoints::Grow()
{
  int delta = 16;
  if (FCapacity > 128)
    delta = FCapacity / 2;
  else if (FCapacity > 16)
    delta = 32;
  SetCapacity(FCapacity + delta);
}

void TdxGPBrushGradientPoints::Assign(TdxGPBrushGradientPoints* Source)
{
  if (!Source || Source == this)
    return;
  FCount = 0;
  SetCapacity(Source->FCount);
  std::copy_n(Source->FOffsets.begin() + 1, Source->FCount, FOffsets.begin() + 1);
  std::copy_n(Source->FColors.begin() + 1, Source->FCount, FColors.begin() + 1);
  FCount = Source->FCount;
  Changed();
}

void TdxGPBrushGradientPoints::Delete(int Index)
{
  CheckIndex(Index);
  std::copy(FOffsets.begin() + Index + 2, FOffsets.begin() + FCount + 1, FOffsets.begin() + Index + 1);
  std::copy(FColors.begin() + Index + 2, FColors.begin() + FCount + 1, FColors.begin() + Index + 1);
  --FCount;
  Changed();
}

void TdxGPBrushGradientPoints::InvertOrder()
{
  if (FCount < 2)
    return;
  std::reverse(FOffsets.begin() + 1, FOffsets.begin() + FCount + 1);
  std::reverse(FColors.begin() + 1, FColors.begin() + FCount + 1);
  for (int i = 1; i <= FCount; ++i)
    FOffsets[i] = 1 - FOffsets[i];
  Changed();
}

TdxAlphaColor TdxGPBrushGradientPoints::GetColor(int Index) const
{
  CheckIndex(Index);
  return FColors[Index + 1];
}

void TdxGPBrushGradientPoints::SetColor(int Index, TdxAlphaColor AValue)
{
  CheckIndex(Index);
  if (FColors[Index + 1] == AValue)
    return;
  FColors[Index + 1] = AValue;
  Changed();
}

float TdxGPBrushGradientPoints::GetOffset(int Index) const
{
  CheckIndex(Index);
  return FOffsets[Index + 1];
}

void TdxGPBrushGradientPoints::SetOffset(int Index, float AValue)
{
  CheckIndex(Index);
  if (dxGpSameValue(FOffsets[Index + 1], AValue))
    return;
  FOffsets[Index + 1] = AValue;
  Changed();
}

void TdxGPBrushGradientPoints::SetCapacity(int AValue)
{
  AValue = std::max(AValue, 0);
  if (AValue == FCapacity)
    return;
  FCapacity = AValue;
  FColors.resize(AValue + 2);
  FOffsets.resize(AValue + 2);
  if (FCapacity < FCount) {
    FCount = FCapacity;
    Changed();
  }
}

int TdxGPBrushGradientPoints::GetBlend(const TdxAlphaColor*& AColors, const float*& AOffsets)
{
  int count = FCount;
  int first = 1;
  if (FCount > 0 && FOffsets[1] > 0) {
    // Element 0 is never written: offset 0, colour 0.
    first = 0;
    ++count;
  }
  if (FCount > 0 && FOffsets[FCount] < 1) {
    FOffsets[FCount + 1] = 1;
    FColors[FCount + 1] = 0;
    ++count;
  }
  AColors = FColors.data() + first;
  AOffsets = FOffsets.data() + first;
  return count;
}

void TdxGPBrushGradientPoints::CheckIndex(int Index) const
{
  if (Index < 0 || Index >= FCount)
    throw rtl::Exception(rtl::Format(L"List index out of bounds (%d)", {Index}));
}

void TdxGPBrushGradientPoints::Changed()
{
  Sort();
  if (FOnChange)
    FOnChange(this);
}

void TdxGPBrushGradientPoints::Sort()
{
  // Equal offsets keep their order: a gradient with a hard edge (two stops
  // at one offset) must not swap its colours from one change to the next.
  std::vector<std::pair<float, TdxAlphaColor>> points(FCount);
  for (int i = 0; i < FCount; ++i)
    points[i] = {FOffsets[i + 1], FColors[i + 1]};
  std::stable_sort(points.begin(), points.end(),
                   [](const auto& A, const auto& B) { return A.first < B.first; });
  for (int i = 0; i < FCount; ++i) {
    FOffsets[i + 1] = points[i].first;
    FColors[i + 1] = points[i].second;
  }
}

// ---------------------------------------------------------------------------
// TdxGPCustomBrush

void TdxGPCustomBrush::Assign(TdxGPCustomGraphicObject* ASource)
{
  if (!ASource || !ASource->InheritsFrom(TdxGPCustomBrush::StaticClass()))
    return;
  const TdxGpRectF& source = static_cast<TdxGPCustomBrush*>(ASource)->FTargetRect;
  if (source == FTargetRect)
    return;
  FTargetRect = source;
  TargetRectChanged();
}

void TdxGPCustomBrush::SetTargetRect(const TdxGpRect& R)
{
  SetTargetRect(TdxGpRectF(static_cast<float>(R.X), static_cast<float>(R.Y), static_cast<float>(R.Width),
                           static_cast<float>(R.Height)));
}

void TdxGPCustomBrush::SetTargetRect(const TdxGpRectF& R)
{
  // Grown by 1, so the gradient's end colours reach the figure's edge pixels
  // instead of wrapping into them.
  const TdxGpRectF rect(R.X - 1, R.Y - 1, R.Width + 2, R.Height + 2);
  if (rect == FTargetRect)
    return;
  FTargetRect = rect;
  TargetRectChanged();
}

void TdxGPCustomBrush::FreeNativeHandle(void* AHandle)
{
  dxGpCheck(dxGpFunctions.GdipDeleteBrush(static_cast<Gdiplus::GpBrush*>(AHandle)));
}

void TdxGPCustomBrush::TargetRectChanged()
{
  if (NeedsNewHandleForTargetRect())
    FreeHandle();
}

// ---------------------------------------------------------------------------
// TdxGPBrush

void TdxGPBrush::Create()
{
  inherited::Create();
  FGradientPoints = rtl::New<TdxGPBrushGradientPoints>();
  FGradientPoints->SetOnChange(rtl::TNotifyEvent::Bind<&TdxGPBrush::GradientPointsChangeHandler>(this));
  FTextureTransform = rtl::New<TdxGPMatrix>();
  FTextureTransform->SetOnChange(rtl::TNotifyEvent::Bind<&TdxGPBrush::TextureTransformChangeHandler>(this));
}

void TdxGPBrush::Destroy()
{
  rtl::FreeAndNil(FTextureTransform);
  rtl::FreeAndNil(FGradientPoints);
  inherited::Destroy();
}

void TdxGPBrush::Assign(TdxGPCustomGraphicObject* ASource)
{
  inherited::Assign(ASource);
  if (!ASource || !ASource->InheritsFrom(TdxGPBrush::StaticClass()))
    return;
  TdxGPBrush* source = static_cast<TdxGPBrush*>(ASource);
  SetColor(source->FColor);
  SetGradientMode(source->FGradientMode);
  SetGradientPoints(source->FGradientPoints);
  SetTextureTransform(source->FTextureTransform);
  SetStyle(source->FStyle);
}

void TdxGPBrush::SetColor(TdxAlphaColor AValue)
{
  if (FColor == AValue)
    return;
  FColor = AValue;
  if (HandleAllocated() && FStyle == gpbsSolid)
    dxGpCheck(dxGpFunctions.GdipSetSolidFillColor(static_cast<Gdiplus::GpSolidFill*>(FHandle), FColor));
  NotifyChanged();
}

void TdxGPBrush::SetGradientMode(TdxGPBrushGradientMode AValue)
{
  if (FGradientMode == AValue)
    return;
  FGradientMode = AValue;
  if (FStyle == gpbsGradient)
    FreeHandle();
  NotifyChanged();
}

void TdxGPBrush::SetStyle(TdxGPBrushStyle AValue)
{
  if (FStyle == AValue)
    return;
  FStyle = AValue;
  FreeHandle();
  NotifyChanged();
}

void TdxGPBrush::GradientPointsChangeHandler(rtl::TObject*)
{
  if (FStyle == gpbsGradient)
    FreeHandle();
  NotifyChanged();
}

void TdxGPBrush::TextureTransformChangeHandler(rtl::TObject*)
{
  if (FStyle == gpbsTexture) {
    FreeHandle();
    HandleNeeded();
  }
  NotifyChanged();
}

void TdxGPBrush::CreateNativeHandle(void*& AHandle)
{
  switch (FStyle) {
    case gpbsSolid: {
      Gdiplus::GpSolidFill* fill = nullptr;
      dxGpCheck(dxGpFunctions.GdipCreateSolidFill(FColor, &fill));
      AHandle = fill;
      break;
    }
    case gpbsGradient:
      CreateGradientNativeHandle(AHandle);
      break;
    case gpbsTexture:
      CreateTextureNativeHandle(AHandle);
      break;
    case gpbsClear:
      CreateEmptyNativeHandle(AHandle);
      break;
  }
}

void TdxGPBrush::NativeHandleCreated()
{
  inherited::NativeHandleCreated();
  if (FOnHandleCreated)
    FOnHandleCreated(this);
}

void TdxGPBrush::CreateEmptyNativeHandle(void*& AHandle)
{
  Gdiplus::GpSolidFill* fill = nullptr;
  dxGpCheck(dxGpFunctions.GdipCreateSolidFill(0, &fill));
  AHandle = fill;
}

void TdxGPBrush::CreateGradientNativeHandle(void*& AHandle)
{
  if (FGradientPoints->Count() == 0 || FTargetRect.Width == 0 || FTargetRect.Height == 0) {
    CreateEmptyNativeHandle(AHandle);
    return;
  }
  const Gdiplus::GpRectF rect{FTargetRect.X, FTargetRect.Y, FTargetRect.Width, FTargetRect.Height};
  Gdiplus::GpLineGradient* brush = nullptr;
  dxGpCheck(dxGpFunctions.GdipCreateLineBrushFromRect(&rect, 0, 0, static_cast<Gdiplus::LinearGradientMode>(FGradientMode),
                                                      Gdiplus::WrapModeTileFlipX, &brush));
  AHandle = brush;
  const TdxAlphaColor* colors;
  const float* offsets;
  const int count = FGradientPoints->GetBlend(colors, offsets);
  dxGpCheck(dxGpFunctions.GdipSetLinePresetBlend(brush, reinterpret_cast<const Gdiplus::ARGB*>(colors), offsets, count));
}

void TdxGPBrush::CreateTextureNativeHandle(void*& AHandle)
{
  // No image to tile yet: the image classes will supply it.
  CreateEmptyNativeHandle(AHandle);
}

bool TdxGPBrush::GetIsEmpty()
{
  switch (FStyle) {
    case gpbsSolid:
      return FColor == 0;
    case gpbsGradient:
      return FGradientPoints->Count() == 0;
    case gpbsTexture:
    case gpbsClear:
      return true;
  }
  return true;
}

// ---------------------------------------------------------------------------
// TdxGPPen

void TdxGPPen::Create()
{
  Create(0, 1, psSolid, 1);
}

void TdxGPPen::Create(TdxAlphaColor AColor, float AWidth, vcl::TPenStyle APenStyle, float AScale)
{
  inherited::Create();
  FBrush = CreateBrush();
  FBrush->SetColor(AColor);
  FBrush->SetOnChange(rtl::TNotifyEvent::Bind<&TdxGPPen::BrushChangeHandler>(this));
  FBrush->SetOnHandleCreated(rtl::TNotifyEvent::Bind<&TdxGPPen::BrushChangeHandler>(this));
  FWidth = AWidth;
  FMiterLimit = 10;
  static constexpr std::array<float, 2> dash{9, 4};
  static constexpr std::array<float, 2> dot{2, 4};
  static constexpr std::array<float, 4> dashDot{9, 4, 2, 4};
  static constexpr std::array<float, 6> dashDotDot{9, 4, 2, 4, 2, 4};
  std::span<const float> pattern;
  switch (APenStyle) {
    case psDash:
      pattern = dash;
      break;
    case psDot:
      pattern = dot;
      break;
    case psDashDot:
      pattern = dashDot;
      break;
    case psDashDotDot:
      pattern = dashDotDot;
      break;
    default:
      break;
  }
  SetDashArray(pattern, AScale / std::max(AWidth, 0.001f));
}

void TdxGPPen::Destroy()
{
  rtl::FreeAndNil(FBrush);
  inherited::Destroy();
}

TdxGPBrush* TdxGPPen::CreateBrush()
{
  return rtl::New<TdxGPBrush>();
}

void TdxGPPen::Assign(TdxGPCustomGraphicObject* ASource)
{
  if (!ASource || !ASource->InheritsFrom(TdxGPPen::StaticClass()))
    return;
  TdxGPPen* source = static_cast<TdxGPPen*>(ASource);
  SetBrush(source->FBrush);
  SetStyle(source->FStyle);
  SetWidth(source->FWidth);
  SetDashCapStyle(source->FDashCapStyle);
  SetLineStartCapStyle(source->FLineStartCapStyle);
  SetLineEndCapStyle(source->FLineEndCapStyle);
}

void TdxGPPen::HandleNeeded()
{
  FBrush->HandleNeeded();
  inherited::HandleNeeded();
}

namespace {

Gdiplus::GpPen* NativePen(void* AHandle)
{
  return static_cast<Gdiplus::GpPen*>(AHandle);
}

constexpr Gdiplus::DashStyle DashStyleOf(TdxGPPenStyle AStyle)
{
  return static_cast<Gdiplus::DashStyle>(AStyle);
}

constexpr Gdiplus::DashCap DashCapOf(TdxGPPenDashCapStyle AStyle)
{
  constexpr Gdiplus::DashCap caps[] = {Gdiplus::DashCapFlat, Gdiplus::DashCapRound, Gdiplus::DashCapTriangle};
  return caps[AStyle];
}

constexpr Gdiplus::LineCap LineCapOf(TdxGPPenLineCapStyle AStyle)
{
  constexpr Gdiplus::LineCap caps[] = {Gdiplus::LineCapFlat, Gdiplus::LineCapSquare, Gdiplus::LineCapRound};
  return caps[AStyle];
}

}  // namespace

void TdxGPPen::CreateNativeHandle(void*& AHandle)
{
  Gdiplus::GpPen* pen = nullptr;
  dxGpCheck(dxGpFunctions.GdipCreatePen2(FBrush->Handle(), FWidth, Gdiplus::UnitPixel, &pen));
  AHandle = pen;
  dxGpCheck(dxGpFunctions.GdipSetPenDashStyle(pen, DashStyleOf(FStyle)));
  dxGpCheck(dxGpFunctions.GdipSetPenDashCap197819(pen, DashCapOf(FDashCapStyle)));
  dxGpCheck(dxGpFunctions.GdipSetPenStartCap(pen, LineCapOf(FLineStartCapStyle)));
  dxGpCheck(dxGpFunctions.GdipSetPenLineJoin(pen, FLineJoin));
  dxGpCheck(dxGpFunctions.GdipSetPenEndCap(pen, LineCapOf(FLineEndCapStyle)));
  dxGpCheck(dxGpFunctions.GdipSetPenMiterLimit(pen, FMiterLimit));
}

void TdxGPPen::FreeNativeHandle(void* AHandle)
{
  dxGpCheck(dxGpFunctions.GdipDeletePen(NativePen(AHandle)));
}

void TdxGPPen::BrushChangeHandler(rtl::TObject*)
{
  if (HandleAllocated())
    dxGpCheck(dxGpFunctions.GdipSetPenBrushFill(NativePen(FHandle), FBrush->Handle()));
}

void TdxGPPen::SetDashArray(std::span<const float> AValue, float AScale)
{
  if (AValue.empty()) {
    SetStyle(gppsSolid);
    return;
  }
  std::vector<float> values(AValue.begin(), AValue.end());
  if (!dxGpSameValue(AScale, 1))
    for (float& value : values)
      value *= AScale;
  dxGpCheck(dxGpFunctions.GdipSetPenDashArray(Handle(), values.data(), static_cast<int>(values.size())));
  FStyle = gppsDashDotDot;
  NotifyChanged();
}

void TdxGPPen::SetDashCapStyle(TdxGPPenDashCapStyle AValue)
{
  if (FDashCapStyle == AValue)
    return;
  FDashCapStyle = AValue;
  if (HandleAllocated())
    dxGpCheck(dxGpFunctions.GdipSetPenDashCap197819(NativePen(FHandle), DashCapOf(AValue)));
  NotifyChanged();
}

void TdxGPPen::SetLineEndCapStyle(TdxGPPenLineCapStyle AValue)
{
  if (FLineEndCapStyle == AValue)
    return;
  FLineEndCapStyle = AValue;
  if (HandleAllocated())
    dxGpCheck(dxGpFunctions.GdipSetPenEndCap(NativePen(FHandle), LineCapOf(AValue)));
  NotifyChanged();
}

void TdxGPPen::SetLineJoin(TdxGpLineJoin AValue)
{
  if (FLineJoin == AValue)
    return;
  FLineJoin = AValue;
  if (HandleAllocated())
    dxGpCheck(dxGpFunctions.GdipSetPenLineJoin(NativePen(FHandle), AValue));
  NotifyChanged();
}

void TdxGPPen::SetLineStartCapStyle(TdxGPPenLineCapStyle AValue)
{
  if (FLineStartCapStyle == AValue)
    return;
  FLineStartCapStyle = AValue;
  if (HandleAllocated())
    dxGpCheck(dxGpFunctions.GdipSetPenStartCap(NativePen(FHandle), LineCapOf(AValue)));
  NotifyChanged();
}

void TdxGPPen::SetMiterLimit(float AValue)
{
  if (FMiterLimit == AValue)
    return;
  FMiterLimit = AValue;
  if (HandleAllocated())
    dxGpCheck(dxGpFunctions.GdipSetPenMiterLimit(NativePen(FHandle), AValue));
  NotifyChanged();
}

void TdxGPPen::SetStyle(TdxGPPenStyle AValue)
{
  if (FStyle == AValue && AValue != gppsDashDotDot)
    return;
  FStyle = AValue;
  if (HandleAllocated())
    dxGpCheck(dxGpFunctions.GdipSetPenDashStyle(NativePen(FHandle), DashStyleOf(AValue)));
  NotifyChanged();
}

void TdxGPPen::SetWidth(float AValue)
{
  AValue = std::max(AValue, 0.0f);
  if (dxGpSameValue(FWidth, AValue))
    return;
  FWidth = AValue;
  if (HandleAllocated())
    dxGpCheck(dxGpFunctions.GdipSetPenWidth(NativePen(FHandle), AValue));
  NotifyChanged();
}

bool TdxGPPen::GetIsEmpty()
{
  return std::fabs(FWidth) <= 1e-4f || FBrush->IsEmpty();
}
