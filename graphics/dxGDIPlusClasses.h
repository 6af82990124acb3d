// The object wrappers of the 2-D graphics library (GDI+) and the vector canvas
// that draws with them:
// - TdxGPMatrix, TdxGPBrush with its gradient points, TdxGPPen: settings kept
//   in fields, the native object made on first use and remade or updated as
//   the settings change, every change announced through OnChange;
// - TdxGPPath, TdxGPRegion, TdxGPStringFormat, TdxGPFontFamily, TdxGPFont:
//   thin owners of a native object made in the constructor;
// - TdxGPMemoryStream, a memory stream in the library's own memory;
// - TdxGPCanvas: drawing, text, and the clip and world-transform stacks of one
//   native graphics;
// - TdxGPPaintCanvas and the shared dxGpPaintCanvas: a vector canvas for
//   the span of one paint on a device context;
// - TdxGPStreamAdapter, the system's streams as COM streams for the library.
//
// Every user asks dxGpIsAvailable before any of this is made.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "core/cxGeometry.h"
#include "graphics/dxCoreGraphics.h"
#include "graphics/dxGDIPlusAPI.h"
#include "platform/rtl/ClassesStreams.h"
#include "platform/rtl/SyncObjs.h"
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
  void Create(TdxAlphaColor AColor, float AWidth, vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid, float AScale = 1);
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

// ---------------------------------------------------------------------------
// TdxGPPath

class TdxGPFont;
class TdxGPFontFamily;
class TdxGPStringFormat;

// A native path, made in the constructor; every status goes through
// dxGpCheck.
class TdxGPPath : public TdxGpBase {
  RTL_CLASS(TdxGPPath, TdxGpBase)

 public:
  virtual void Create() { Create(gpfmAlternate); }
  virtual void Create(TdxGPFillMode AFillMode);
  // From points and the library's point-type bytes, one per point.
  virtual void Create(const TdxGpPointFDynArray& APoints, const std::vector<BYTE>& APointTypes);
  void Destroy() override;
  // Keeps a clone of the source's native path.
  virtual void Assign(TdxGPPath* ASource);

  Gdiplus::GpPath* Handle() const { return FHandle; }

  void FigureStart();
  void FigureFinish();
  void Reset();

  void AddArc(float X, float Y, float Width, float Height, float StartAngle, float SweepAngle);
  void AddBezier(const TdxPointF& P1, const TdxPointF& P2, const TdxPointF& P3, const TdxPointF& P4);
  void AddEllipse(const TRect& R);
  void AddEllipse(const TdxRectF& R);
  void AddLine(float X1, float Y1, float X2, float Y2);
  // Connected to the current figure.
  void AddPath(TdxGPPath* Path);
  void AddPie(float X, float Y, float Width, float Height, float StartAngle, float SweepAngle);
  void AddPolygon(std::span<const TPoint> APoints);
  void AddPolygon(std::span<const TdxPointF> APoints);
  void AddPolyline(std::span<const TPoint> APoints);
  void AddPolyline(std::span<const TdxPointF> APoints);
  void AddRect(const TRect& R);
  void AddRect(const TdxRectF& R);
  // A closed figure; radii above a third of the size are cut to it, and a
  // radius of 0 gives the plain rectangle.
  void AddRoundRect(const TRect& R, int ARadiusX, int ARadiusY);
  void AddRoundRect(const TdxRectF& R, float ARadiusX, float ARadiusY);
  // The font's family and style at its size in screen pixels.
  void AddString(const rtl::String& S, TdxGPFont* AFont, TdxGPStringFormat* AFormat, const TdxRectF& ARect);
  void AddString(const rtl::String& S, TdxGPFont* AFont, TdxGPStringFormat* AFormat, const TdxPointF& AOrigin);
  void AddString(const rtl::String& S, TdxGPFontFamily* AFamily, int AStyle, float AEmSize, const TdxPointF& AOrigin,
                 TdxGPStringFormat* AFormat);
  void AddString(const rtl::String& S, TdxGPFontFamily* AFamily, int AStyle, float AEmSize, const TPoint& AOrigin,
                 TdxGPStringFormat* AFormat);
  void AddString(const rtl::String& S, TdxGPFontFamily* AFamily, int AStyle, float AEmSize,
                 const TdxRectF& ALayoutRect, TdxGPStringFormat* AFormat);
  void AddString(const rtl::String& S, TdxGPFontFamily* AFamily, int AStyle, float AEmSize, const TRect& ALayoutRect,
                 TdxGPStringFormat* AFormat);
  // A family of the font's name in the font's style, with the default format.
  void AddString(const rtl::String& S, vcl::TFont* AFont, float AEmSize, const TRect& ARect);

  // World bounds without a matrix, widened by the pen when one is given.
  TRect GetBounds(TdxGPPen* APen = nullptr);
  TdxRectF GetBoundsF(TdxGPPen* APen = nullptr);
  int GetPointCount();
  // The canvas, when given, supplies the transform the test uses.
  bool IsPointInPath(const TPoint& P, TdxGPCanvas* ACanvas = nullptr);
  bool IsPointInPath(const TdxPointF& P, TdxGPCanvas* ACanvas = nullptr);
  bool IsPointInPathOutline(const TPoint& P, TdxGPPen* APen, TdxGPCanvas* ACanvas = nullptr);
  bool IsPointInPathOutline(const TdxPointF& P, TdxGPPen* APen, TdxGPCanvas* ACanvas = nullptr);
  // False for a width of 0 without asking the library.
  bool IsPointInPathOutline(const TPoint& P, int APenWidth, TdxGPCanvas* ACanvas = nullptr);

  void Transform(TdxGPMatrix* AMatrix);
  void Flatten(TdxGPMatrix* AMatrix, float AFlatness);

  TdxGPFillMode GetFillMode();
  void SetFillMode(TdxGPFillMode AValue);

 private:
  Gdiplus::GpPath* FHandle = nullptr;
};

// ---------------------------------------------------------------------------
// TdxGPRegion

class TdxGPRegion : public TdxGpBase {
  RTL_CLASS(TdxGPRegion, TdxGpBase)

 public:
  // The library's default region: infinite.
  virtual void Create();
  virtual void Create(Gdiplus::GpPath* APath);
  virtual void Create(const TRect& ARect);
  virtual void Create(const TdxRectF& ARect);
  // A clone of the native region; ADummy only tells the constructors apart.
  virtual void CreateFromRegion(Gdiplus::GpRegion* ARegion, int ADummy = 0);
  void Destroy() override;

  Gdiplus::GpRegion* Handle() const { return FHandle; }

  void CombineRegionRect(const TRect& ARect, TdxGPCombineMode AMode);
  void CombineRegionRect(const TdxRectF& ARect, TdxGPCombineMode AMode);
  void CombineRegionRegion(TdxGPRegion* ARegion, TdxGPCombineMode AMode);

 private:
  Gdiplus::GpRegion* FHandle = nullptr;
};

// ---------------------------------------------------------------------------
// TdxGPStringFormat

class TdxGPStringFormat : public TdxGpBase {
  RTL_CLASS(TdxGPStringFormat, TdxGpBase)

 public:
  void Create(int AFormatAttributes = 0, WORD ALanguage = LANG_NEUTRAL);
  // A clone of the other format.
  void Create(TdxGPStringFormat* AFormat);
  void Destroy() override;
  TdxGPStringFormat* Clone();
  void Assign(TdxGPStringFormat* ASource);

  Gdiplus::GpStringFormat* Handle() const { return FHandle; }

  TdxGpStringAlignment GetAlignment();
  void SetAlignment(TdxGpStringAlignment AValue);
  TdxGpStringAlignment GetLineAlignment();
  void SetLineAlignment(TdxGpStringAlignment AValue);
  int GetFormatFlags();
  void SetFormatFlags(int AValue);
  TdxGPHotkeyPrefix GetHotkeyPrefix();
  void SetHotkeyPrefix(TdxGPHotkeyPrefix AValue);
  TdxGpStringTrimming GetTrimming();
  void SetTrimming(TdxGpStringTrimming AValue);

  void SetTabStops(float AFirstTabOffset, int ACount, std::span<const float> ATabStops);
  int GetTabStopCount();
  std::vector<float> GetTabStops(int ACount, float& AFirstTabOffset);

  void SetDigitSubstitution(WORD ALanguage, TdxGpStringDigitSubstitute ASubstitute);
  WORD DigitSubstitutionLanguage();
  TdxGpStringDigitSubstitute DigitSubstitutionMethod();

  void SetMeasurableCharacterRanges(int ACount, std::span<const TdxGpCharacterRange> ARanges);
  int MeasurableCharacterRangeCount();

 private:
  Gdiplus::GpStringFormat* FHandle = nullptr;
};

// ---------------------------------------------------------------------------
// TdxGPFontFamily

class TdxGPFontFamily : public TdxGpBase {
  RTL_CLASS(TdxGPFontFamily, TdxGpBase)

 public:
  // No native family when no installed family has the name.
  void Create(const rtl::String& AName);
  // Keeps a clone of the native family.
  void Create(Gdiplus::GpFontFamily* ANativeFamily);
  void Destroy() override;
  TdxGPFontFamily* Clone();

  Gdiplus::GpFontFamily* Handle() const { return FHandle; }

  // In the family's design units.
  WORD GetCellAscent(int AStyle);
  WORD GetCellDescent(int AStyle);
  WORD GetEmHeight(int AStyle);
  WORD GetLineSpacing(int AStyle);
  bool IsStyleAvailable(int AStyle);
  rtl::String GetName(WORD ALanguage);
  rtl::String Name() { return GetName(0); }

  // The library's generic families, shared, made on first request.
  static TdxGPFontFamily* GenericSansSerif();
  static TdxGPFontFamily* GenericSerif();
  // Frees the shared families; the raster image unit's finish step runs it
  // while the library is still started.
  static void FreeGenericFamilies();

 private:
  Gdiplus::GpFontFamily* FHandle = nullptr;
};

// ---------------------------------------------------------------------------
// TdxGPFont

// A native font with its family, size, style and unit, and what the
// platform's font record needs besides (character set, vertical "@" names).
class TdxGPFont : public rtl::TObject {
  RTL_CLASS(TdxGPFont, rtl::TObject)

 public:
  // From a family name; a leading "@" names a vertical font of the family
  // named by the rest.
  void Create(const rtl::String& AFamilyName, float AEmSize);
  void Create(const rtl::String& AFamilyName, float AEmSize, TdxGraphicUnit AUnit);
  void Create(const rtl::String& AFamilyName, float AEmSize, int AStyle);
  void Create(const rtl::String& AFamilyName, float AEmSize, int AStyle, TdxGraphicUnit AUnit);
  void Create(const rtl::String& AFamilyName, float AEmSize, int AStyle, TdxGraphicUnit AUnit, BYTE AGdiCharSet);
  void Create(const rtl::String& AFamilyName, float AEmSize, int AStyle, TdxGraphicUnit AUnit, BYTE AGdiCharSet,
              bool AGdiVerticalFont);
  // From a family the caller keeps alive.
  void Create(TdxGPFontFamily* AFamily, float AEmSize);
  void Create(TdxGPFontFamily* AFamily, float AEmSize, TdxGraphicUnit AUnit);
  void Create(TdxGPFontFamily* AFamily, float AEmSize, int AStyle);
  void Create(TdxGPFontFamily* AFamily, float AEmSize, int AStyle, TdxGraphicUnit AUnit);
  void Create(TdxGPFontFamily* AFamily, float AEmSize, int AStyle, TdxGraphicUnit AUnit, BYTE AGdiCharSet);
  void Create(TdxGPFontFamily* AFamily, float AEmSize, int AStyle, TdxGraphicUnit AUnit, BYTE AGdiCharSet,
              bool AGdiVerticalFont);
  // Takes ownership of the native font.
  void Create(Gdiplus::GpFont* ANativeFont, BYTE AGdiCharSet, bool AGdiVerticalFont);
  // AFont's family (AFont must outlive this font), size and unit in
  // another style.
  void Create(TdxGPFont* AFont, int AStyle);
  void Destroy() override;

  static TdxGPFont* FromHFont(HFONT AFont);
  static TdxGPFont* FromLogFont(const LOGFONTW& ALogFont);
  static TdxGPFont* FromLogFont(const LOGFONTW& ALogFont, HDC AHdc);
  static TdxGPFont* FromHdc(HDC AHdc);
  // Falls back to the generic sans-serif family for an unknown name.
  static TdxGPFont* SafeCreate(const rtl::String& AFamilyName, int AStyle, float AEmSize, TdxGraphicUnit AUnit,
                               BYTE AGdiCharSet);
  TdxGPFont* Clone();

  Gdiplus::GpFont* Handle() const { return FNativeFont; }
  TdxGPFontFamily* FontFamily() const { return FFontFamily; }
  rtl::String Name() const { return FFontFamily->Name(); }
  int Style() const { return FFontStyle; }
  float Size() const { return FFontSize; }
  TdxGraphicUnit Unit() const { return FFontUnit; }
  bool Bold() const { return (FFontStyle & 1) != 0; }
  bool Italic() const { return (FFontStyle & 2) != 0; }
  bool Underline() const { return (FFontStyle & 4) != 0; }
  bool Strikeout() const { return (FFontStyle & 8) != 0; }
  BYTE GdiCharSet() const { return FGdiCharSet; }
  bool GdiVerticalFont() const { return FGdiVerticalFont; }
  const rtl::String& OriginalFontName() const { return FOriginalFontName; }
  float SizeInPoints();
  // The line spacing in whole pixels on the screen, rounded up.
  int Height();
  bool IsSystemFont() const { return !FSystemFontName.empty(); }
  // Replaces only the reference; the font's native object keeps its family.
  void SetFontFamily(TdxGPFontFamily* AFamily) { FFontFamily = AFamily; }
  void SetSystemFontName(const rtl::String& ASystemFontName) { FSystemFontName = ASystemFontName; }

  // The line spacing in pixels.
  float GetHeight(TdxGPCanvas* AGraphics);
  float GetHeight(float ADpi);
  float GetHeight();

  void ToLogFont(LOGFONTW& ALogFont, TdxGPCanvas* ACanvas);
  void ToLogFont(LOGFONTW& ALogFont);
  HFONT ToHfont();

  int GetHashCode() const;
  static bool IsVerticalName(const rtl::String& AName);
  static rtl::String StripVerticalName(const rtl::String& AName);

 private:
  void CreateFromName(const rtl::String& AFamilyName, float AEmSize, int AStyle, TdxGraphicUnit AUnit,
                      BYTE AGdiCharSet, bool AGdiVerticalFont);
  void Construct(TdxGPFontFamily* AFamily, float AEmSize, int AStyle, TdxGraphicUnit AUnit, BYTE AGdiCharSet,
                 bool AGdiVerticalFont);

  Gdiplus::GpFont* FNativeFont = nullptr;
  float FFontSize = 0;
  int FFontStyle = 0;
  TdxGPFontFamily* FFontFamily = nullptr;
  TdxGraphicUnit FFontUnit = guPoint;
  BYTE FGdiCharSet = 0;
  bool FGdiVerticalFont = false;
  bool FIsOwnFontFamily = false;
  rtl::String FSystemFontName;
  rtl::String FOriginalFontName;
};

// ---------------------------------------------------------------------------
// TdxGPMemoryStream

// A memory stream whose memory comes from the library's allocator, so the
// library may keep reading it (an image made from the stream) or free it.
// Capacities are exact: no rounding up.
class TdxGPMemoryStream : public rtl::TMemoryStream {
  RTL_CLASS(TdxGPMemoryStream, rtl::TMemoryStream)

 protected:
  void* Realloc(int& ANewCapacity) override;
};

// ---------------------------------------------------------------------------
// TdxGPCanvas

// One native graphics with a stack of saved clip regions and one of saved
// world transforms; saves and restores pair.
class TdxGPCanvas : public TdxGpBase {
  RTL_CLASS(TdxGPCanvas, TdxGpBase)

 public:
  // No graphics until a descendant sets one.
  virtual void Create() {}
  // Owns the native graphics.
  void Create(Gdiplus::GpGraphics* AHandle);
  void Create(HDC DC);
  void Destroy() override;

  Gdiplus::GpGraphics* Handle() const { return FHandle; }
  HDC GetHDC();
  void ReleaseHDC(HDC DC);

  TdxGPInterpolationMode GetInterpolationMode();
  void SetInterpolationMode(TdxGPInterpolationMode AValue);
  TdxGPSmoothingMode GetSmoothingMode();
  void SetSmoothingMode(TdxGPSmoothingMode AValue);
  TdxGpTextRenderingHint GetTextRenderingHint();
  void SetTextRenderingHint(TdxGpTextRenderingHint AValue);
  Gdiplus::PixelOffsetMode GetPixelOffsetMode();
  void SetPixelOffsetMode(Gdiplus::PixelOffsetMode AValue);
  float DpiX();
  float DpiY();
  bool GetIsLowColorsMode() const { return FIsLowColorsMode; }
  void SetIsLowColorsMode(bool AValue) { FIsLowColorsMode = AValue; }

  // The whole graphics in the colour at alpha 255; clNone clears to
  // transparent.
  void Clear(vcl::TColor AColor);

  // Clipping. The modes combine the current clip with the new shape.
  void SaveClipRegion();
  // Raises the list's index error when nothing was saved.
  void RestoreClipRegion();
  void SetClipRect(const TRect& R, TdxGPCombineMode AMode);
  void SetClipRect(const TdxRectF& R, TdxGPCombineMode AMode);
  void SetClipRegion(HRGN ARgn, TdxGPCombineMode AMode);
  void SetClipRegion(TdxGPRegion* ARegion, TdxGPCombineMode AMode);
  void SetClipPath(TdxGPPath* APath, TdxGPCombineMode AMode);
  bool IsClipEmpty();

  // World transforms.
  // A new matrix the caller owns.
  TdxGPMatrix* GetWorldTransform();
  void SetWorldTransform(TdxGPMatrix* AMatrix);
  void ModifyWorldTransform(TdxGPMatrix* AMatrix, TdxGpMatrixOrder AOrder = MatrixOrderPrepend);
  void TranslateWorldTransform(float AOffsetX, float AOffsetY, TdxGpMatrixOrder AOrder = MatrixOrderPrepend);
  // Degrees, as the library counts them.
  void RotateWorldTransform(float AAngle, TdxGpMatrixOrder AOrder = MatrixOrderPrepend);
  void RotateWorldTransform(float AAngle, const TPoint& APivotPoint, TdxGpMatrixOrder AOrder = MatrixOrderPrepend);
  void RotateWorldTransform(float AAngle, const TdxPointF& APivotPoint, TdxGpMatrixOrder AOrder = MatrixOrderPrepend);
  void ScaleWorldTransform(float AScaleX, float AScaleY, TdxGpMatrixOrder AOrder = MatrixOrderPrepend);
  // Replaces the transform by the scaling about ACenter; the order has no
  // effect.
  void ScaleWorldTransform(float AScaleX, float AScaleY, const TdxPointF& ACenter,
                           TdxGpMatrixOrder AOrder = MatrixOrderPrepend);
  // Prepends the mirror about the pivot; nothing when neither flag is set.
  void FlipWorldTransform(bool AFlipHorizontally, bool AFlipVertically, const TdxPointF& APivotPoint);
  void FlipWorldTransform(bool AFlipHorizontally, bool AFlipVertically, const TPoint& APivotPoint);
  void FlipWorldTransform(bool AFlipHorizontally, bool AFlipVertically, float APivotPointX, float APivotPointY);
  void ResetWorldTransform();
  void SaveWorldTransform();
  // Raises the list's index error when nothing was saved.
  void RestoreWorldTransform();
  // In place; an empty array raises EArgumentOutOfRangeException "points".
  void TransformPoints(TdxGpCoordinateSpace ADestSpace, TdxGpCoordinateSpace ASrcSpace,
                       std::vector<TdxPointF>& APoints);
  void TransformPoints(TdxGpCoordinateSpace ADestSpace, TdxGpCoordinateSpace ASrcSpace, std::vector<TPoint>& APoints);

  // Shapes in alpha colours. A fill is made only for a colour other than 0
  // and $00FFFFFF; an outline only for such a colour, a width above 0 and a
  // solid or dashed pen style. The fill comes first. A TRect loses 1 on the
  // right and the bottom, so the figure covers (width - 1) x (height - 1)
  // pixels. Angles count counter-clockwise in degrees.
  void Arc(const TRect& R, float AStartAngle, float ASweepAngle, TdxAlphaColor APenColor, float APenWidth = 1,
           vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid);
  void Curve(std::span<const TPoint> APoints, TdxAlphaColor APenColor, float APenWidth = 1,
             vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid);
  void Curve(std::span<const TdxPointF> APoints, TdxAlphaColor APenColor, float APenWidth = 1,
             vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid);
  void Ellipse(const TRect& R, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor, float APenWidth = 1,
               vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid);
  void Ellipse(const TdxRectF& R, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor, float APenWidth = 1,
               vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid);
  void Line(int X1, int Y1, int X2, int Y2, TdxAlphaColor APenColor, float APenWidth = 1,
            vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid);
  void Line(float X1, float Y1, float X2, float Y2, TdxAlphaColor APenColor, float APenWidth = 1,
            vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid);
  void Path(TdxGPPath* APath, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor, float APenWidth = 1,
            vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid);
  void Pie(const TRect& R, float AStartAngle, float ASweepAngle, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor,
           float APenWidth = 1, vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid);
  void Pie(const TdxRectF& R, float AStartAngle, float ASweepAngle, TdxAlphaColor APenColor,
           TdxAlphaColor ABrushColor, float APenWidth = 1, vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid);
  void Polygon(std::span<const TPoint> APoints, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor,
               float APenWidth = 1, vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid);
  void Polygon(std::span<const TdxPointF> APoints, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor,
               float APenWidth = 1, TdxGPPenStyle APenStyle = gppsSolid);
  void Polyline(std::span<const TPoint> APoints, TdxAlphaColor APenColor, float APenWidth = 1,
                vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid);
  void Polyline(std::span<const TdxPointF> APoints, TdxAlphaColor APenColor, float APenWidth = 1,
                vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid);
  void Rectangle(const TRect& R, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor, float APenWidth = 1,
                 vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid);
  void Rectangle(const TdxRectF& R, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor, float APenWidth = 1,
                 vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid);
  void RoundRect(const TRect& R, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor, int ARadiusX, int ARadiusY,
                 float APenWidth = 1);
  // Fills with the brush colour; the pen arguments have no effect.
  void Region(TdxGPRegion* ARegion, TdxAlphaColor APenColor, TdxAlphaColor ABrushColor, float APenWidth = 1,
              vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid);
  // The rectangle as given, not shrunk.
  void FillRectangle(const TRect& R, TdxAlphaColor ABrushColor);
  void FillRectangle(const TdxRectF& R, TdxAlphaColor ABrushColor);
  // Solid for equal colours or AColor2 = $00010203; otherwise a linear
  // gradient over the rectangle grown by 1, transparent colours included.
  void FillRectangleByGradient(const TRect& R, TdxAlphaColor AColor1, TdxAlphaColor AColor2,
                               Gdiplus::LinearGradientMode AMode);

  // The same in platform colours with their alphas.
  void Arc(const TRect& R, float AStartAngle, float ASweepAngle, vcl::TColor APenColor, float APenWidth = 1,
           vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid, BYTE APenColorAlpha = 255)
  {
    Arc(R, AStartAngle, ASweepAngle, dxColorToAlphaColor(APenColor, APenColorAlpha), APenWidth, APenStyle);
  }
  void Curve(std::span<const TPoint> APoints, vcl::TColor APenColor, float APenWidth = 1,
             vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid, BYTE APenColorAlpha = 255)
  {
    Curve(APoints, dxColorToAlphaColor(APenColor, APenColorAlpha), APenWidth, APenStyle);
  }
  void Ellipse(const TRect& R, vcl::TColor APenColor, vcl::TColor ABrushColor, float APenWidth = 1,
               vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid, BYTE APenColorAlpha = 255,
               BYTE ABrushColorAlpha = 255)
  {
    Ellipse(R, dxColorToAlphaColor(APenColor, APenColorAlpha), dxColorToAlphaColor(ABrushColor, ABrushColorAlpha),
            APenWidth, APenStyle);
  }
  void Line(int X1, int Y1, int X2, int Y2, vcl::TColor APenColor, float APenWidth = 1,
            vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid, BYTE APenColorAlpha = 255)
  {
    Line(X1, Y1, X2, Y2, dxColorToAlphaColor(APenColor, APenColorAlpha), APenWidth, APenStyle);
  }
  void Path(TdxGPPath* APath, vcl::TColor APenColor, vcl::TColor ABrushColor, float APenWidth = 1,
            vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid, BYTE APenColorAlpha = 255,
            BYTE ABrushColorAlpha = 255)
  {
    Path(APath, dxColorToAlphaColor(APenColor, APenColorAlpha), dxColorToAlphaColor(ABrushColor, ABrushColorAlpha),
         APenWidth, APenStyle);
  }
  void Pie(const TRect& R, float AStartAngle, float ASweepAngle, vcl::TColor APenColor, vcl::TColor ABrushColor,
           float APenWidth = 1, vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid, BYTE APenColorAlpha = 255,
           BYTE ABrushColorAlpha = 255)
  {
    Pie(R, AStartAngle, ASweepAngle, dxColorToAlphaColor(APenColor, APenColorAlpha),
        dxColorToAlphaColor(ABrushColor, ABrushColorAlpha), APenWidth, APenStyle);
  }
  void Polygon(std::span<const TPoint> APoints, vcl::TColor APenColor, vcl::TColor ABrushColor, float APenWidth = 1,
               vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid, BYTE APenColorAlpha = 255,
               BYTE ABrushColorAlpha = 255)
  {
    Polygon(APoints, dxColorToAlphaColor(APenColor, APenColorAlpha),
            dxColorToAlphaColor(ABrushColor, ABrushColorAlpha), APenWidth, APenStyle);
  }
  void Polyline(std::span<const TPoint> APoints, vcl::TColor APenColor, float APenWidth = 1,
                vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid, BYTE APenColorAlpha = 255)
  {
    Polyline(APoints, dxColorToAlphaColor(APenColor, APenColorAlpha), APenWidth, APenStyle);
  }
  void Rectangle(const TRect& R, vcl::TColor APenColor, vcl::TColor ABrushColor, float APenWidth = 1,
                 vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid, BYTE APenColorAlpha = 255,
                 BYTE ABrushColorAlpha = 255)
  {
    Rectangle(R, dxColorToAlphaColor(APenColor, APenColorAlpha), dxColorToAlphaColor(ABrushColor, ABrushColorAlpha),
              APenWidth, APenStyle);
  }
  void Ellipse(const TdxRectF& R, vcl::TColor APenColor, vcl::TColor ABrushColor, float APenWidth = 1,
               vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid, BYTE APenColorAlpha = 255,
               BYTE ABrushColorAlpha = 255)
  {
    Ellipse(R, dxColorToAlphaColor(APenColor, APenColorAlpha), dxColorToAlphaColor(ABrushColor, ABrushColorAlpha),
            APenWidth, APenStyle);
  }
  void Line(float X1, float Y1, float X2, float Y2, vcl::TColor APenColor, float APenWidth = 1,
            vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid, BYTE APenColorAlpha = 255)
  {
    Line(X1, Y1, X2, Y2, dxColorToAlphaColor(APenColor, APenColorAlpha), APenWidth, APenStyle);
  }
  void Pie(const TdxRectF& R, float AStartAngle, float ASweepAngle, vcl::TColor APenColor, vcl::TColor ABrushColor,
           float APenWidth = 1, vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid, BYTE APenColorAlpha = 255,
           BYTE ABrushColorAlpha = 255)
  {
    Pie(R, AStartAngle, ASweepAngle, dxColorToAlphaColor(APenColor, APenColorAlpha),
        dxColorToAlphaColor(ABrushColor, ABrushColorAlpha), APenWidth, APenStyle);
  }
  void Polyline(std::span<const TdxPointF> APoints, vcl::TColor APenColor, float APenWidth = 1,
                vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid, BYTE APenColorAlpha = 255)
  {
    Polyline(APoints, dxColorToAlphaColor(APenColor, APenColorAlpha), APenWidth, APenStyle);
  }
  void Rectangle(const TdxRectF& R, vcl::TColor APenColor, vcl::TColor ABrushColor, float APenWidth = 1,
                 vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid, BYTE APenColorAlpha = 255,
                 BYTE ABrushColorAlpha = 255)
  {
    Rectangle(R, dxColorToAlphaColor(APenColor, APenColorAlpha), dxColorToAlphaColor(ABrushColor, ABrushColorAlpha),
              APenWidth, APenStyle);
  }
  void Region(TdxGPRegion* ARegion, vcl::TColor APenColor, vcl::TColor ABrushColor, float APenWidth = 1,
              vcl::TPenStyle APenStyle = vcl::TPenStyle::psSolid, BYTE APenColorAlpha = 255,
              BYTE ABrushColorAlpha = 255)
  {
    Region(ARegion, dxColorToAlphaColor(APenColor, APenColorAlpha),
           dxColorToAlphaColor(ABrushColor, ABrushColorAlpha), APenWidth, APenStyle);
  }
  void RoundRect(const TRect& R, vcl::TColor APenColor, vcl::TColor ABrushColor, int ARadiusX, int ARadiusY,
                 int APenWidth = 1, BYTE APenColorAlpha = 255, BYTE ABrushColorAlpha = 255)
  {
    RoundRect(R, dxColorToAlphaColor(APenColor, APenColorAlpha), dxColorToAlphaColor(ABrushColor, ABrushColorAlpha),
              ARadiusX, ARadiusY, static_cast<float>(APenWidth));
  }

  // Shapes with pen and brush objects, either of which may be none. The
  // brush's (and the pen's brush's) target rectangle is set to the figure
  // first.
  void Ellipse(const TRect& R, TdxGPPen* APen, TdxGPCustomBrush* ABrush);
  void Ellipse(const TdxRectF& R, TdxGPPen* APen, TdxGPCustomBrush* ABrush);
  void Rectangle(const TRect& R, TdxGPPen* APen, TdxGPCustomBrush* ABrush);
  void Rectangle(const TdxRectF& R, TdxGPPen* APen, TdxGPCustomBrush* ABrush);
  void Polygon(std::span<const TPoint> APoints, TdxGPPen* APen, TdxGPCustomBrush* ABrush);
  void Polygon(std::span<const TdxPointF> APoints, TdxGPPen* APen, TdxGPCustomBrush* ABrush);
  // Nothing without a pen or with an empty one.
  void Polyline(std::span<const TPoint> APoints, TdxGPPen* APen);
  void Polyline(std::span<const TdxPointF> APoints, TdxGPPen* APen);
  // The pen is skipped when it is none or empty.
  void Path(TdxGPPath* APath, TdxGPPen* APen, TdxGPCustomBrush* ABrush);
  void RoundRect(const TRect& R, TdxGPPen* APen, TdxGPCustomBrush* ABrush, int ARadiusX, int ARadiusY);
  // The pen's brush gets no target rectangle.
  void Line(int X1, int Y1, int X2, int Y2, TdxGPPen* APen);
  void Line(float X1, float Y1, float X2, float Y2, TdxGPPen* APen);
  void FillRectangle(const TRect& R, TdxGPCustomBrush* ABrush);
  void FillRectangle(const TdxRectF& R, TdxGPCustomBrush* ABrush);

  // Text. No font or no brush raises EdxGdipException (InvalidParameter)
  // before anything is drawn; an empty string draws nothing. At a point the
  // layout has no size: no wrapping, no clipping.
  void DrawString(const rtl::String& S, TdxGPFont* AFont, TdxGPCustomBrush* ABrush, float X, float Y);
  void DrawString(const rtl::String& S, TdxGPFont* AFont, TdxGPCustomBrush* ABrush, float X, float Y,
                  TdxGPStringFormat* AFormat);
  void DrawString(const rtl::String& S, TdxGPFont* AFont, TdxGPCustomBrush* ABrush, const TdxPointF& AOrigin);
  void DrawString(const rtl::String& S, TdxGPFont* AFont, TdxGPCustomBrush* ABrush, const TdxPointF& AOrigin,
                  TdxGPStringFormat* AFormat);
  // Nothing for an empty rectangle.
  void DrawString(const rtl::String& S, TdxGPFont* AFont, TdxGPCustomBrush* ABrush, const TdxRectF& ARect);
  void DrawString(const rtl::String& S, TdxGPFont* AFont, TdxGPCustomBrush* ABrush, const TdxRectF& ARect,
                  TdxGPStringFormat* AFormat);

  // The size of the text's bounding box; an empty text is 0 x 0 without
  // asking the library. A layout size of 0 x 0 means no limit.
  TdxSizeF MeasureString(const rtl::String& AText, TdxGPFont* AFont, const TdxSizeF& ALayoutArea,
                         TdxGPStringFormat* AStringFormat, int& ACharactersFitted, int& ALinesFilled);
  TdxSizeF MeasureString(const rtl::String& AText, TdxGPFont* AFont, const TdxPointF& AOrigin,
                         TdxGPStringFormat* AStringFormat);
  TdxSizeF MeasureString(const rtl::String& AText, TdxGPFont* AFont, const TdxSizeF& ALayoutArea);
  TdxSizeF MeasureString(const rtl::String& AText, TdxGPFont* AFont, const TdxSizeF& ALayoutArea,
                         TdxGPStringFormat* AStringFormat);
  TdxSizeF MeasureString(const rtl::String& AText, TdxGPFont* AFont);
  TdxSizeF MeasureString(const rtl::String& AText, TdxGPFont* AFont, double AWidth);
  TdxSizeF MeasureString(const rtl::String& AText, TdxGPFont* AFont, double AWidth, TdxGPStringFormat* AFormat);
  // One region per measurable character range of the format; the caller
  // owns them. Without a format the library's InvalidParameter raises.
  std::vector<TdxGPRegion*> MeasureCharacterRanges(const rtl::String& AText, TdxGPFont* AFont,
                                                   const TdxRectF& ALayoutRect, TdxGPStringFormat* AStringFormat);

 protected:
  std::vector<Gdiplus::GpRegion*> FSavedClipRegions;
  std::vector<Gdiplus::GpMatrix*> FSavedWorldTransforms;
  Gdiplus::GpGraphics* FHandle = nullptr;
  bool FIsLowColorsMode = false;
};

// TdxGPCanvas's base for the paint canvases; adds nothing.
class TdxGPGraphics : public TdxGPCanvas {
  RTL_CLASS(TdxGPGraphics, TdxGPCanvas)
};

// ---------------------------------------------------------------------------
// Drawing native images

// Draws the source part of AImage into the destination rectangle, in pixels;
// nothing when the destination is not visible or either rectangle is less
// than a pixel wide or high. Without attributes an alpha below 255 blends.
// A bitmap enlarged while the pixel-offset mode is not Half samples one
// column and row less, so it never reads beyond its last ones; a metafile
// drawn smaller than 2 x 2 is drawn at 2 x 2 clipped to the destination.
void dxGpDrawImage(Gdiplus::GpGraphics* AGraphics, const TdxRectF& ADestRect, const TdxRectF& ASourceRect,
                   Gdiplus::GpImageAttributes* AAttributes, BYTE AAlpha, Gdiplus::GpImage* AImage);
void dxGpDrawImage(Gdiplus::GpGraphics* AGraphics, const TRect& ADestRect, const TRect& ASourceRect,
                   Gdiplus::GpImageAttributes* AAttributes, BYTE AAlpha, Gdiplus::GpImage* AImage);
// Repeats the source part over the destination from its top-left; opaque
// enlargements go through a texture brush, the rest tile by hand.
void dxGpTileImage(Gdiplus::GpGraphics* AGraphics, const TRect& ADestRect, const TRect& ASourceRect, BYTE AAlpha,
                   Gdiplus::GpImage* AImage);

// ===========================================================================
// Paint canvases and the stream adapter

// The unit's start-up finds the platform's WindowFromDC; its finish frees the
// shared objects (the generic font families, the shared paint canvas).
RTL_DECLARE_UNIT(dxGDIPlusClasses);

// True when alpha drawing on DC must go through a 32-bit copy: 16 or fewer
// bits per pixel, a raster printer, a palette device, or (before the NT 6
// family, whose layered windows take it directly) a layered window's DC.
bool dxGpNeedsBufferedPaint(HDC DC);

// A vector canvas for the span of one paint on a device context: BeginPaint
// makes a native graphics on the DC (or on a 32-bit copy of the painted area
// when the device cannot take alpha drawing), EndPaint releases it and copies
// the copy back. The lock is held from BeginPaint to EndPaint, so whole
// paints from several threads follow one another; the same thread may begin
// again inside a paint. Pair the two in a guard that ends the paint on every
// path: a BeginPaint that raises still holds the lock.
class TdxGPCustomPaintCanvas : public TdxGPGraphics {
  RTL_CLASS(TdxGPCustomPaintCanvas, TdxGPGraphics)

 public:
  void Create() override;
  void Destroy() override;

  // Coordinates between the two are those of DC.
  void BeginPaint(HDC DC, const TRect& R);
  // Paints on a graphics the caller owns; EndPaint does not delete it.
  void BeginPaint(Gdiplus::GpGraphics* AHandle);
  void EndPaint();

 protected:
  virtual void SaveState() {}
  virtual void RestoreState() {}
  // dxGpNeedsBufferedPaint; a descendant may decide otherwise for a device
  // it knows better.
  virtual bool NeedsBufferedPaint(HDC DC) { return dxGpNeedsBufferedPaint(DC); }

  rtl::TCriticalSection* FLock = nullptr;
  vcl::TBitmap* FBuffer = nullptr;
  HDC FDrawDC = nullptr;
  TRect FDrawRect{};
};

struct TdxGPPaintCanvasState {
  Gdiplus::GpGraphics* Handle;
  vcl::TBitmap* Buffer;
  TRect DrawRect;
  HDC DC;
};

// A paint canvas whose paints nest: each BeginPaint saves the paint it
// interrupts and the matching EndPaint brings it back.
class TdxGPPaintCanvas : public TdxGPCustomPaintCanvas {
  RTL_CLASS(TdxGPPaintCanvas, TdxGPCustomPaintCanvas)

 public:
  void Destroy() override;

 protected:
  void SaveState() override;
  void RestoreState() override;

 private:
  int FCounter = 0;
  std::vector<TdxGPPaintCanvasState> FSavedStates;
};

// The one paint canvas the image classes, skins and painters share; made on
// first use, freed by the unit's finish.
TdxGPPaintCanvas* dxGpPaintCanvas();

// A private paint canvas already painting on DC; dxGpEndPaint ends the paint,
// frees the canvas and clears the variable.
TdxGPCustomPaintCanvas* dxGpBeginPaint(HDC DC, const TRect& R);
void dxGpEndPaint(TdxGPCustomPaintCanvas*& ACanvas);

// Fills R on DC in the colour at the alpha, through the shared canvas.
void dxGpFillRect(HDC DC, const TRect& R, vcl::TColor AColor, BYTE AAlpha = 255);

// Runs AProc, mirrored left to right inside R when AMirror is set (drawing
// right-to-left); the canvas's transform and pixel-offset mode are put back
// on every path.
void dxGpPaintMirrored(TdxGPCanvas* ACanvas, const TRect& R, bool AMirror, const std::function<void()>& AProc);

// The system's streams as COM streams for the library, which asks Stat with
// no record and with records it does not clear first.
class TdxGPStreamAdapter : public rtl::TStreamAdapter {
  RTL_CLASS(TdxGPStreamAdapter, rtl::TStreamAdapter)

 public:
  // No record: success with nothing done. Otherwise the whole record is
  // cleared before the platform adapter fills it; anything raised is
  // E_UNEXPECTED.
  HRESULT __stdcall Stat(STATSTG* pstatstg, DWORD grfStatFlag) override;
};
