// The object wrappers of the 2-D graphics library (GDI+) and the vector canvas
// that draws with them:
// - TdxGPMatrix, TdxGPBrush with its gradient points, TdxGPPen: settings kept
//   in fields, the native object made on first use and remade or updated as
//   the settings change, every change announced through OnChange;
// - TdxGPPath, TdxGPRegion, TdxGPStringFormat, TdxGPFontFamily, TdxGPFont:
//   thin owners of a native object made in the constructor;
// - TdxGPMemoryStream, a memory stream in the library's own memory;
// - TdxGPCanvas: drawing, text, and the clip and world-transform stacks of one
//   native graphics.
//
// Every user asks dxGpIsAvailable before any of this is made.
#pragma once

#include <windows.h>

#include <vector>

#include "core/cxGeometry.h"
#include "graphics/dxCoreGraphics.h"
#include "graphics/dxGDIPlusAPI.h"
#include "platform/rtl/ClassesStreams.h"
#include "platform/rtl/SystemEvents.h"
#include "platform/vcl/Graphics.h"

class TdxGPCanvas;

// ---------------------------------------------------------------------------
// Enumerations

enum TdxGPBrushStyle { gpbsSolid, gpbsGradient, gpbsTexture, gpbsClear };
// The library's linear gradient modes 0 to 3.
enum TdxGPBrushGradientMode { gpbgmHorizontal, gpbgmVertical, gpbgmForwardDiagonal, gpbgmBackwardDiagonal };
// The library's dash styles 0 to 4; gppsDashDotDot also stands for a custom
// dash pattern.
enum TdxGPPenStyle { gppsSolid, gppsDash, gppsDot, gppsDashDot, gppsDashDotDot };
// The library's dash caps flat (0), round (2) and triangle (3).
enum TdxGPPenDashCapStyle { gpdcFlat, gpdcRound, gpdcTriangle };
// The library's line caps flat (0), square (1) and round (2).
enum TdxGPPenLineCapStyle { gpcsFlat, gpcsSquare, gpcsRound };
// The library's fill modes 0 and 1.
enum TdxGPFillMode { gpfmAlternate, gpfmWinding };
// The library's combine modes 0 to 5.
enum TdxGPCombineMode { gmReplace, gmIntersect, gmUnion, gmXor, gmExclude, gmComplement };
// The library's interpolation modes 0 to 7.
enum TdxGPInterpolationMode {
  imDefault,
  imLowQuality,
  imHighQuality,
  imBilinear,
  imBicubic,
  imNearestNeighbor,
  imHighQualityBilinear,
  imHighQualityBicubic
};
// The library's smoothing modes 0 to 4.
enum TdxGPSmoothingMode { smDefault, smHighSpeed, smHighQuality, smNone, smAntiAlias };

// ---------------------------------------------------------------------------
// TdxGPCustomGraphicObject

// A wrapper whose native object is made when Handle is first read.
class TdxGPCustomGraphicObject : public TdxGpBase {
  RTL_CLASS(TdxGPCustomGraphicObject, TdxGpBase)

 public:
  virtual void Create() {}
  void BeforeDestruction() override;
  virtual void Assign(TdxGPCustomGraphicObject* ASource);
  // Makes the native object when there is none; making it never fires
  // OnChange.
  virtual void HandleNeeded();

  void* Handle()
  {
    HandleNeeded();
    return FHandle;
  }
  bool HandleAllocated() const { return FHandle != nullptr; }
  void FreeHandle();

  const rtl::TNotifyEvent& GetOnChange() const { return FOnChange; }
  void SetOnChange(const rtl::TNotifyEvent& AValue) { FOnChange = AValue; }

 protected:
  virtual void NotifyChanged();
  virtual void CreateNativeHandle(void*& AHandle) = 0;
  virtual void FreeNativeHandle(void* AHandle) = 0;
  virtual void NativeHandleCreated() {}

  int FChangeLockCount = 0;
  void* FHandle = nullptr;
  rtl::TNotifyEvent FOnChange;
};

// ---------------------------------------------------------------------------
// TdxGPMatrix

// An affine matrix (M11, M12, M21, M22, DX, DY): (x, y) maps to
// (x M11 + y M21 + DX, x M12 + y M22 + DY). Reads go to the native matrix.
class TdxGPMatrix : public TdxGPCustomGraphicObject {
  RTL_CLASS(TdxGPMatrix, TdxGPCustomGraphicObject)

 public:
  void CreateEx(const XFORM& XForm);
  void CreateEx(float M11, float M12, float M21, float M22, float DX, float DY);
  // A mirror about the vertical line x = pivot X and/or the horizontal line
  // y = pivot Y.
  void CreateFlip(bool AFlipHorizontally, bool AFlipVertically, float APivotPointX, float APivotPointY);
  void CreateFlip(bool AFlipHorizontally, bool AFlipVertically, const TdxPointF& APivotPoint);

  void Assign(TdxGPCustomGraphicObject* ASource) override;
  TdxGPMatrix* Clone();

  Gdiplus::GpMatrix* Handle() { return static_cast<Gdiplus::GpMatrix*>(inherited::Handle()); }

  void GetElements(float& M11, float& M12, float& M21, float& M22, float& DX, float& DY);
  void SetElements(float M11, float M12, float M21, float M22, float DX, float DY);
  void Reset();
  void Invert();
  void Multiply(TdxGPMatrix* AMatrix, TdxGpMatrixOrder AMatrixOrder = MatrixOrderPrepend);
  // Degrees, as the library takes them.
  void Rotate(float AAngle, TdxGpMatrixOrder AMatrixOrder = MatrixOrderPrepend);
  // Turns about the pivot in either order.
  void Rotate(float AAngle, const TdxPointF& APivotPoint, TdxGpMatrixOrder AMatrixOrder = MatrixOrderPrepend);
  void Scale(const TdxPointF& AScale, TdxGpMatrixOrder AMatrixOrder = MatrixOrderPrepend);
  void Scale(float AScaleX, float AScaleY, TdxGpMatrixOrder AMatrixOrder = MatrixOrderPrepend);
  // Replaces the matrix by the scaling about ACenter; the order has no
  // effect.
  void Scale(const TdxPointF& AScale, const TdxPointF& ACenter, TdxGpMatrixOrder AMatrixOrder = MatrixOrderPrepend);
  void Shear(const TdxPointF& AShear, TdxGpMatrixOrder AMatrixOrder = MatrixOrderPrepend);
  void Shear(float AShearX, float AShearY, TdxGpMatrixOrder AMatrixOrder = MatrixOrderPrepend);
  void Translate(const TdxPointF& AOffset, TdxGpMatrixOrder AMatrixOrder = MatrixOrderPrepend);
  void Translate(float AOffsetX, float AOffsetY, TdxGpMatrixOrder AMatrixOrder = MatrixOrderPrepend);
  // Appends the flip about the pivot; nothing when neither flag is set.
  void Flip(bool AFlipHorizontally, bool AFlipVertically, const TdxPointF& APivotPoint);

  TdxPointF TransformPoint(const TdxPointF& APoint);
  // Rounded to nearest.
  TPoint TransformPoint(const TPoint& APoint);
  void TransformPoints(std::vector<TPoint>& APoints);
  void TransformPoints(std::vector<TdxPointF>& APoints);
  void TransformPointsI(TPoint* APoints, int ACount);
  // Maps the top-left and bottom-right corners only: under a rotation the
  // result is no bounding box and may be reversed.
  TdxRectF TransformRect(const TdxRectF& R);
  TRect TransformRect(const TRect& R);
  // The bounds of all four mapped corners.
  TdxRectF GetBoundingRectangle(const TdxRectF& R);

  bool IsIdentity();
  bool IsInvertible();
  float OffsetX();
  float OffsetY();

 protected:
  void CreateNativeHandle(void*& AHandle) override;
  void FreeNativeHandle(void* AHandle) override;
};

// ---------------------------------------------------------------------------
// TdxGPBrushGradientPoints

// The stops of a gradient, kept sorted by offset. Point i lives in element
// i + 1 of both arrays; element 0 stays offset 0 with colour 0, so the blend
// handed to the library can start there.
class TdxGPBrushGradientPoints : public TdxGpBase {
  RTL_CLASS(TdxGPBrushGradientPoints, TdxGpBase)

 public:
  virtual void Create();

  // The index the point was appended at; the sort that follows may move it.
  int Add(float AOffset, TdxAlphaColor AColor);
  void Assign(TdxGPBrushGradientPoints* Source);
  void Clear() { SetCapacity(0); }
  void Delete(int Index);
  // Reverses the points and mirrors every offset o to 1 - o.
  void InvertOrder();

  TdxAlphaColor GetColor(int Index) const;
  void SetColor(int Index, TdxAlphaColor AValue);
  float GetOffset(int Index) const;
  void SetOffset(int Index, float AValue);
  void SetCapacity(int AValue);
  int Count() const { return FCount; }

  // The blend for the library: the points, led by (0, colour 0) when the
  // first offset is above 0 and followed by (1, colour 0) when the last is
  // below 1, so a gradient whose stops do not reach the ends fades to
  // transparent there. Answers the count; the pointers stay valid until the
  // next change.
  int GetBlend(const TdxAlphaColor*& AColors, const float*& AOffsets);

  const rtl::TNotifyEvent& GetOnChange() const { return FOnChange; }
  void SetOnChange(const rtl::TNotifyEvent& AValue) { FOnChange = AValue; }

 private:
  void CheckIndex(int Index) const;
  void Changed();
  void Sort();
  void Grow();

  int FCapacity = 0;
  std::vector<TdxAlphaColor> FColors;
  int FCount = 0;
  std::vector<float> FOffsets;
  rtl::TNotifyEvent FOnChange;
};

// ---------------------------------------------------------------------------
// Brushes

class TdxGPCustomBrush : public TdxGPCustomGraphicObject {
  RTL_CLASS(TdxGPCustomBrush, TdxGPCustomGraphicObject)

 public:
  void Assign(TdxGPCustomGraphicObject* ASource) override;

  Gdiplus::GpBrush* Handle() { return static_cast<Gdiplus::GpBrush*>(inherited::Handle()); }

  // The figure a gradient spans and a texture starts at; stored grown by 1 on
  // every side.
  void SetTargetRect(const TRect& R) { SetTargetRect(TdxGpRectF(R)); }
  void SetTargetRect(const TdxRectF& R) { SetTargetRect(TdxGpRectF(R)); }
  void SetTargetRect(const TdxGpRect& R);
  void SetTargetRect(const TdxGpRectF& R);
  const TdxGpRectF& GetTargetRect() const { return FTargetRect; }

 protected:
  void FreeNativeHandle(void* AHandle) override;
  virtual void TargetRectChanged();
  virtual bool NeedsNewHandleForTargetRect() { return false; }

  TdxGpRectF FTargetRect{};
};

// A solid, gradient or clear brush. The texture style has no image to tile
// until the image classes exist and paints nothing.
class TdxGPBrush : public TdxGPCustomBrush {
  RTL_CLASS(TdxGPBrush, TdxGPCustomBrush)

 public:
  void Create() override;
  void Destroy() override;
  void Assign(TdxGPCustomGraphicObject* ASource) override;

  TdxAlphaColor GetColor() const { return FColor; }
  void SetColor(TdxAlphaColor AValue);
  TdxGPBrushGradientMode GetGradientMode() const { return FGradientMode; }
  void SetGradientMode(TdxGPBrushGradientMode AValue);
  TdxGPBrushGradientPoints* GetGradientPoints() const { return FGradientPoints; }
  void SetGradientPoints(TdxGPBrushGradientPoints* AValue) { FGradientPoints->Assign(AValue); }
  TdxGPBrushStyle GetStyle() const { return FStyle; }
  void SetStyle(TdxGPBrushStyle AValue);
  TdxGPMatrix* GetTextureTransform() const { return FTextureTransform; }
  void SetTextureTransform(TdxGPMatrix* AValue) { FTextureTransform->Assign(AValue); }
  bool IsEmpty() { return GetIsEmpty(); }

  const rtl::TNotifyEvent& GetOnHandleCreated() const { return FOnHandleCreated; }
  void SetOnHandleCreated(const rtl::TNotifyEvent& AValue) { FOnHandleCreated = AValue; }

 protected:
  void CreateNativeHandle(void*& AHandle) override;
  void NativeHandleCreated() override;
  bool NeedsNewHandleForTargetRect() override { return FStyle == gpbsGradient; }
  virtual void CreateEmptyNativeHandle(void*& AHandle);
  virtual void CreateGradientNativeHandle(void*& AHandle);
  virtual void CreateTextureNativeHandle(void*& AHandle);
  virtual bool GetIsEmpty();

 private:
  void GradientPointsChangeHandler(rtl::TObject* Sender);
  void TextureTransformChangeHandler(rtl::TObject* Sender);

  TdxAlphaColor FColor = 0;
  TdxGPBrushGradientMode FGradientMode = gpbgmHorizontal;
  TdxGPBrushGradientPoints* FGradientPoints = nullptr;
  TdxGPBrushStyle FStyle = gpbsSolid;
  TdxGPMatrix* FTextureTransform = nullptr;
  rtl::TNotifyEvent FOnHandleCreated;
};

// ---------------------------------------------------------------------------
// TdxGPPen

class TdxGPPen : public TdxGPCustomGraphicObject {
  RTL_CLASS(TdxGPPen, TdxGPCustomGraphicObject)

 public:
  // Colour 0, width 1, solid.
  void Create() override;
  // A dashed platform style becomes a dash pattern scaled by
  // AScale / AWidth, set on a native pen made at once.
  void Create(TdxAlphaColor AColor, float AWidth, vcl::TPenStyle APenStyle = vcl::psSolid, float AScale = 1);
  void Destroy() override;
  void Assign(TdxGPCustomGraphicObject* ASource) override;
  void HandleNeeded() override;

  Gdiplus::GpPen* Handle() { return static_cast<Gdiplus::GpPen*>(inherited::Handle()); }

  TdxGPBrush* GetBrush() const { return FBrush; }
  void SetBrush(TdxGPBrush* AValue) { FBrush->Assign(AValue); }
  TdxGPPenDashCapStyle GetDashCapStyle() const { return FDashCapStyle; }
  void SetDashCapStyle(TdxGPPenDashCapStyle AValue);
  TdxGPPenLineCapStyle GetLineEndCapStyle() const { return FLineEndCapStyle; }
  void SetLineEndCapStyle(TdxGPPenLineCapStyle AValue);
  TdxGpLineJoin GetLineJoin() const { return FLineJoin; }
  void SetLineJoin(TdxGpLineJoin AValue);
  TdxGPPenLineCapStyle GetLineStartCapStyle() const { return FLineStartCapStyle; }
  void SetLineStartCapStyle(TdxGPPenLineCapStyle AValue);
  float GetMiterLimit() const { return FMiterLimit; }
  void SetMiterLimit(float AValue);
  TdxGPPenStyle GetStyle() const { return FStyle; }
  // gppsDashDotDot is always applied again, replacing a custom pattern.
  void SetStyle(TdxGPPenStyle AValue);
  float GetWidth() const { return FWidth; }
  // Negative widths count as 0.
  void SetWidth(float AValue);
  bool IsEmpty() { return GetIsEmpty(); }

  // A custom pattern in units of the pen width; Style becomes
  // gppsDashDotDot.
  void SetDashArray(std::span<const float> AValue) { SetDashArray(AValue, 1); }
  void SetTargetRect(const TdxGpRect& R) { FBrush->SetTargetRect(R); }
  void SetTargetRect(const TRect& R) { FBrush->SetTargetRect(R); }
  void SetTargetRect(const TdxRectF& R) { FBrush->SetTargetRect(R); }

 protected:
  void CreateNativeHandle(void*& AHandle) override;
  void FreeNativeHandle(void* AHandle) override;
  virtual TdxGPBrush* CreateBrush();
  virtual bool GetIsEmpty();

 private:
  void BrushChangeHandler(rtl::TObject* Sender);
  void SetDashArray(std::span<const float> AValue, float AScale);

  TdxGPBrush* FBrush = nullptr;
  TdxGPPenDashCapStyle FDashCapStyle = gpdcFlat;
  TdxGPPenLineCapStyle FLineEndCapStyle = gpcsFlat;
  TdxGpLineJoin FLineJoin = LineJoinMiter;
  TdxGPPenLineCapStyle FLineStartCapStyle = gpcsFlat;
  float FMiterLimit = 10;
  TdxGPPenStyle FStyle = gppsSolid;
  float FWidth = 0;
};
