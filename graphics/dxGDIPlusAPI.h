// The binding of the platform's 2-D graphics library (GDI+, gdiplus.dll,
// its flat interface):
// - the library's own types, taken from the toolchain's flat declarations
//   (no wrapper classes), and the records and enumerations the drawing units
//   share;
// - the function table, bound by name on the first availability check,
//   with the start-up and shut-down of the library;
// - status codes turned into EdxGdipException;
// - TdxGpBase, whose objects live in the library's own memory;
// - the class ids of the image encoders and decoders.
//
// The library is never imported: a system without it, or without one of the
// functions in the table, still runs, with every GDI+ feature switched off.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <span>
#include <vector>

#include "core/cxGeometry.h"
#include "core/dxCore.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemResStrings.h"
#include "platform/rtl/SystemUnits.h"

// The flat interface's types and declarations, as the toolchain's GDI+
// header brings them in before its C++ wrapper classes, which the system
// does not use. The declared functions serve only as the types of the table
// below; nothing links against them.
typedef struct IDirectDrawSurface7 IDirectDrawSurface7;
namespace Gdiplus {
typedef float REAL;
typedef SHORT INT16;
typedef WORD UINT16;
#include <gdiplus/gdiplusenums.h>
#include <gdiplus/gdiplustypes.h>
#include <gdiplus/gdiplusgpstubs.h>
#include <gdiplus/gdiplusimaging.h>
#include <gdiplus/gdiplusinit.h>
#include <gdiplus/gdiplusmem.h>
#include <gdiplus/gdiplusmetaheader.h>
#include <gdiplus/gdipluspixelformats.h>
#include <gdiplus/gdipluscolor.h>
#include <gdiplus/gdipluscolormatrix.h>
#include <gdiplus/gdiplusflat.h>
#include <gdiplus/gdipluseffects.h>
#include <gdiplus/gdiplusimagecodec.h>
}  // namespace Gdiplus

RTL_DECLARE_UNIT(dxGDIPlusAPI);

inline constexpr rtl::TResStringRec sdxGdipInvalidOperation{64000};
inline constexpr rtl::TResStringRec sdxGdipInvalidOperationWin32{64001};

// ---------------------------------------------------------------------------
// Enumerations: the library's own, under the names the drawing units use.

using Status = Gdiplus::GpStatus;
using enum Gdiplus::GpStatus;
using TdxGpMatrixOrder = Gdiplus::MatrixOrder;
using enum Gdiplus::MatrixOrder;
using TdxGpLineJoin = Gdiplus::LineJoin;
using enum Gdiplus::LineJoin;
using TdxGpTextRenderingHint = Gdiplus::TextRenderingHint;
using enum Gdiplus::TextRenderingHint;
using TdxGpCoordinateSpace = Gdiplus::CoordinateSpace;
using enum Gdiplus::CoordinateSpace;
using TdxGpStringAlignment = Gdiplus::StringAlignment;
using enum Gdiplus::StringAlignment;
using TdxGpStringTrimming = Gdiplus::StringTrimming;
using enum Gdiplus::StringTrimming;
using TdxGpStringDigitSubstitute = Gdiplus::StringDigitSubstitute;
using enum Gdiplus::StringDigitSubstitute;
using TdxGPHotkeyPrefix = Gdiplus::HotkeyPrefix;
using enum Gdiplus::HotkeyPrefix;
using TdxGpColorAdjustType = Gdiplus::ColorAdjustType;
using enum Gdiplus::ColorAdjustType;
using TdxGpColorMatrixFlags = Gdiplus::ColorMatrixFlags;
using enum Gdiplus::ColorMatrixFlags;
using TdxGpColorChannelFlags = Gdiplus::ColorChannelFlags;
using enum Gdiplus::ColorChannelFlags;

// The formats by which smart images, codecs, encoders and clipboard formats
// are keyed; the ordinals are stored in clipboard tables.
enum TdxImageDataFormat {
  dxImageUnknown,
  dxImageBitmap,
  dxImageJpeg,
  dxImagePng,
  dxImageTiff,
  dxImageGif,
  dxImageEmf,
  dxImageExif,
  dxImageIcon,
  dxImageMemoryBmp,
  dxImageWmf
};

// ---------------------------------------------------------------------------
// Records, laid out as the library's own.

struct TdxGpRectF {
  float X;
  float Y;
  float Width;
  float Height;

  TdxGpRectF() = default;
  constexpr TdxGpRectF(float AX, float AY, float AWidth, float AHeight) : X(AX), Y(AY), Width(AWidth), Height(AHeight) {}
  constexpr TdxGpRectF(const TRect& R)
    : X(static_cast<float>(R.left)), Y(static_cast<float>(R.top)), Width(static_cast<float>(R.right - R.left)),
      Height(static_cast<float>(R.bottom - R.top)) {}
  constexpr TdxGpRectF(const TdxRectF& R) : X(R.Left), Y(R.Top), Width(R.Right - R.Left), Height(R.Bottom - R.Top) {}

  static constexpr TdxGpRectF Empty() { return {0, 0, 0, 0}; }
  void Init(float AX, float AY, float AWidth, float AHeight) { *this = {AX, AY, AWidth, AHeight}; }
  TdxSizeF SizeF() const { return TdxSizeF{Width, Height}; }
  // Each field truncated; the right and bottom edges follow from the
  // truncated origin and size.
  operator TRect() const;
  operator TdxRectF() const { return {X, Y, X + Width, Y + Height}; }

  // Field by field, so a NaN makes two rectangles unequal.
  friend constexpr bool operator==(const TdxGpRectF&, const TdxGpRectF&) = default;
};

struct TdxGpRect {
  int X;
  int Y;
  int Width;
  int Height;

  TdxGpRect() = default;
  constexpr TdxGpRect(int AX, int AY, int AWidth, int AHeight) : X(AX), Y(AY), Width(AWidth), Height(AHeight) {}
  constexpr TdxGpRect(const TRect& R) : X(R.left), Y(R.top), Width(R.right - R.left), Height(R.bottom - R.top) {}

  static constexpr TdxGpRect Empty() { return {0, 0, 0, 0}; }
  void Init(int AX, int AY, int AWidth, int AHeight) { *this = {AX, AY, AWidth, AHeight}; }

  friend constexpr bool operator==(const TdxGpRect&, const TdxGpRect&) = default;
};

struct TdxGpPointF {
  float X;
  float Y;
};
using TdxGpPointFDynArray = std::vector<TdxGpPointF>;

struct TdxGpCharacterRange {
  int First;
  int Length;
};

using TdxGpColorMatrix = Gdiplus::ColorMatrix;

static_assert(sizeof(TdxGpRectF) == sizeof(Gdiplus::RectF) && sizeof(TdxGpRect) == sizeof(Gdiplus::Rect));
static_assert(sizeof(TdxGpPointF) == sizeof(Gdiplus::PointF));
static_assert(sizeof(TdxGpCharacterRange) == sizeof(Gdiplus::CharacterRange));
static_assert(sizeof(TdxGpColorMatrix) == 25 * sizeof(float));

// ---------------------------------------------------------------------------
// The function table

// The functions the system calls, in binding order: memory and start-up
// first, GdipEmfToWmfBits last. Every one must resolve for the library to
// count as available, so the table lists what the drawing and image units
// call, not every name a header declares: Wine's library lacks a few names
// of the toolchain's header, and one missing name would switch off every
// GDI+ feature. Keep Wine's stubs (GdipSetPenUnit, GdipDrawImageFX,
// GdipGetEncoderParameterList, ...) out of it: they bind but crash when
// called.
#define DX_GDIPLUS_FUNCTIONS(X) \
  X(GdipAlloc) X(GdipFree) X(GdiplusStartup) X(GdiplusShutdown) \
  X(GdipCloneBrush) X(GdipDeleteBrush) X(GdipGetBrushType) X(GdipCreateSolidFill) X(GdipSetSolidFillColor) \
  X(GdipGetSolidFillColor) X(GdipCreateHatchBrush) X(GdipCreateTexture) X(GdipCreateTexture2) \
  X(GdipCreateTexture2I) X(GdipCreateTextureIA) X(GdipSetTextureTransform) X(GdipGetTextureTransform) \
  X(GdipResetTextureTransform) X(GdipTranslateTextureTransform) X(GdipScaleTextureTransform) \
  X(GdipSetTextureWrapMode) X(GdipCreateLineBrush) X(GdipCreateLineBrushI) X(GdipCreateLineBrushFromRect) \
  X(GdipCreateLineBrushFromRectI) X(GdipSetLinePresetBlend) X(GdipSetLineBlend) X(GdipSetLineColors) \
  X(GdipSetLineWrapMode) X(GdipSetLineTransform) X(GdipCreatePathGradient) X(GdipCreatePathGradientFromPath) \
  X(GdipSetPathGradientCenterColor) X(GdipSetPathGradientSurroundColorsWithCount) \
  X(GdipSetPathGradientPresetBlend) X(GdipSetPathGradientCenterPoint) X(GdipSetPathGradientWrapMode) \
  X(GdipCreatePen1) X(GdipCreatePen2) X(GdipClonePen) X(GdipDeletePen) X(GdipSetPenWidth) X(GdipGetPenWidth) \
  X(GdipSetPenBrushFill) X(GdipGetPenBrushFill) X(GdipSetPenColor) X(GdipSetPenDashStyle) \
  X(GdipGetPenDashStyle) X(GdipSetPenDashCap197819) X(GdipSetPenDashArray) X(GdipGetPenDashCount) X(GdipGetPenDashArray) \
  X(GdipSetPenDashOffset) X(GdipSetPenStartCap) X(GdipSetPenEndCap) X(GdipSetPenLineCap197819) \
  X(GdipSetPenLineJoin) X(GdipGetPenLineJoin) X(GdipSetPenMiterLimit) X(GdipSetPenMode) \
  X(GdipSetPenTransform) X(GdipSetPenCustomStartCap) X(GdipSetPenCustomEndCap) X(GdipCreateCustomLineCap) \
  X(GdipDeleteCustomLineCap) X(GdipCreateAdjustableArrowCap) \
  X(GdipCreateFromHDC) X(GdipCreateFromHDC2) X(GdipCreateFromHWND) X(GdipGetImageGraphicsContext) \
  X(GdipDeleteGraphics) X(GdipGetDC) X(GdipReleaseDC) X(GdipFlush) X(GdipSaveGraphics) X(GdipRestoreGraphics) \
  X(GdipGraphicsClear) X(GdipSetSmoothingMode) X(GdipGetSmoothingMode) X(GdipSetInterpolationMode) \
  X(GdipGetInterpolationMode) X(GdipSetPixelOffsetMode) X(GdipGetPixelOffsetMode) X(GdipSetTextRenderingHint) \
  X(GdipGetTextRenderingHint) X(GdipSetCompositingMode) X(GdipGetCompositingMode) \
  X(GdipSetCompositingQuality) X(GdipSetPageUnit) X(GdipGetPageUnit) X(GdipSetPageScale) X(GdipGetDpiX) \
  X(GdipGetDpiY) X(GdipSetRenderingOrigin) \
  X(GdipDrawLine) X(GdipDrawLineI) X(GdipDrawLines) X(GdipDrawLinesI) X(GdipDrawArc) X(GdipDrawArcI) \
  X(GdipDrawBezier) X(GdipDrawBeziers) X(GdipDrawBeziersI) X(GdipDrawRectangle) X(GdipDrawRectangleI) \
  X(GdipDrawRectangles) X(GdipDrawEllipse) X(GdipDrawEllipseI) X(GdipDrawPie) X(GdipDrawPieI) \
  X(GdipDrawPolygon) X(GdipDrawPolygonI) X(GdipDrawPath) X(GdipDrawCurve) X(GdipDrawCurve2) \
  X(GdipDrawClosedCurve) X(GdipDrawClosedCurve2) X(GdipFillRectangle) X(GdipFillRectangleI) \
  X(GdipFillRectangles) X(GdipFillPolygon) X(GdipFillPolygonI) X(GdipFillPolygon2) X(GdipFillEllipse) \
  X(GdipFillEllipseI) X(GdipFillPie) X(GdipFillPieI) X(GdipFillPath) X(GdipFillRegion) X(GdipFillClosedCurve) \
  X(GdipFillClosedCurve2) \
  X(GdipDrawImage) X(GdipDrawImageI) X(GdipDrawImageRect) X(GdipDrawImageRectI) X(GdipDrawImagePoints) \
  X(GdipDrawImagePointsI) X(GdipDrawImagePointRect) X(GdipDrawImageRectRect) X(GdipDrawImageRectRectI) \
  X(GdipDrawImagePointsRect) \
  X(GdipSetClipGraphics) X(GdipSetClipRect) X(GdipSetClipRectI) X(GdipSetClipPath) X(GdipSetClipRegion) \
  X(GdipSetClipHrgn) X(GdipResetClip) X(GdipGetClip) X(GdipGetClipBounds) X(GdipGetVisibleClipBounds) \
  X(GdipIsClipEmpty) X(GdipTranslateClip) X(GdipIsVisiblePoint) X(GdipIsVisibleRect) X(GdipIsVisibleRectI) \
  X(GdipIsVisibleClipEmpty) \
  X(GdipSetWorldTransform) X(GdipGetWorldTransform) X(GdipResetWorldTransform) X(GdipMultiplyWorldTransform) \
  X(GdipTranslateWorldTransform) X(GdipScaleWorldTransform) X(GdipRotateWorldTransform) \
  X(GdipTransformPoints) X(GdipTransformPointsI) \
  X(GdipDrawString) X(GdipMeasureString) X(GdipMeasureCharacterRanges) X(GdipDrawDriverString) \
  X(GdipMeasureDriverString) \
  X(GdipCreateMatrix) X(GdipCreateMatrix2) X(GdipCreateMatrix3) X(GdipCloneMatrix) X(GdipDeleteMatrix) \
  X(GdipSetMatrixElements) X(GdipGetMatrixElements) X(GdipMultiplyMatrix) X(GdipTranslateMatrix) \
  X(GdipScaleMatrix) X(GdipRotateMatrix) X(GdipShearMatrix) X(GdipInvertMatrix) X(GdipTransformMatrixPoints) \
  X(GdipTransformMatrixPointsI) X(GdipIsMatrixIdentity) X(GdipIsMatrixInvertible) X(GdipIsMatrixEqual) \
  X(GdipCreatePath) X(GdipCreatePath2) X(GdipCreatePath2I) X(GdipClonePath) X(GdipDeletePath) \
  X(GdipResetPath) X(GdipGetPointCount) X(GdipGetPathTypes) X(GdipGetPathPoints) X(GdipGetPathPointsI) \
  X(GdipGetPathFillMode) X(GdipSetPathFillMode) X(GdipGetPathData) X(GdipStartPathFigure) \
  X(GdipClosePathFigure) X(GdipClosePathFigures) X(GdipAddPathLine) X(GdipAddPathLineI) X(GdipAddPathLine2) \
  X(GdipAddPathLine2I) X(GdipAddPathArc) X(GdipAddPathArcI) X(GdipAddPathBezier) X(GdipAddPathBezierI) \
  X(GdipAddPathBeziers) X(GdipAddPathBeziersI) X(GdipAddPathCurve) X(GdipAddPathCurve2) \
  X(GdipAddPathClosedCurve) X(GdipAddPathClosedCurve2) X(GdipAddPathRectangle) X(GdipAddPathRectangleI) \
  X(GdipAddPathRectangles) X(GdipAddPathEllipse) X(GdipAddPathEllipseI) X(GdipAddPathPie) X(GdipAddPathPieI) \
  X(GdipAddPathPolygon) X(GdipAddPathPolygonI) X(GdipAddPathPath) X(GdipAddPathString) X(GdipAddPathStringI) \
  X(GdipFlattenPath) X(GdipWidenPath) X(GdipWindingModeOutline) X(GdipWarpPath) X(GdipTransformPath) \
  X(GdipGetPathWorldBounds) X(GdipGetPathWorldBoundsI) X(GdipIsVisiblePathPoint) X(GdipIsVisiblePathPointI) \
  X(GdipIsOutlineVisiblePathPoint) X(GdipIsOutlineVisiblePathPointI) X(GdipReversePath) \
  X(GdipGetPathLastPoint) \
  X(GdipCreatePathIter) X(GdipDeletePathIter) X(GdipPathIterNextSubpath) X(GdipPathIterNextSubpathPath) \
  X(GdipPathIterGetCount) X(GdipPathIterGetSubpathCount) X(GdipPathIterRewind) \
  X(GdipCreateRegion) X(GdipCreateRegionRect) X(GdipCreateRegionRectI) X(GdipCreateRegionPath) \
  X(GdipCreateRegionHrgn) X(GdipCloneRegion) X(GdipDeleteRegion) X(GdipSetInfinite) X(GdipSetEmpty) \
  X(GdipCombineRegionRect) X(GdipCombineRegionRectI) X(GdipCombineRegionPath) X(GdipCombineRegionRegion) \
  X(GdipTranslateRegion) X(GdipTranslateRegionI) X(GdipTransformRegion) X(GdipGetRegionBounds) \
  X(GdipGetRegionBoundsI) X(GdipGetRegionHRgn) X(GdipIsEmptyRegion) X(GdipIsInfiniteRegion) \
  X(GdipIsEqualRegion) X(GdipIsVisibleRegionPoint) X(GdipIsVisibleRegionRect) X(GdipGetRegionScansCount) \
  X(GdipGetRegionScans) \
  X(GdipLoadImageFromStream) X(GdipLoadImageFromFile) X(GdipLoadImageFromStreamICM) X(GdipCloneImage) \
  X(GdipDisposeImage) X(GdipSaveImageToStream) X(GdipSaveImageToFile) X(GdipSaveAdd) X(GdipGetImageType) \
  X(GdipGetImageWidth) X(GdipGetImageHeight) X(GdipGetImageDimension) X(GdipGetImageBounds) \
  X(GdipGetImageHorizontalResolution) X(GdipGetImageVerticalResolution) X(GdipGetImageFlags) \
  X(GdipGetImageRawFormat) X(GdipGetImagePixelFormat) X(GdipGetImageThumbnail) X(GdipGetImagePaletteSize) \
  X(GdipGetImagePalette) X(GdipSetImagePalette) X(GdipImageRotateFlip) X(GdipImageGetFrameCount) \
  X(GdipImageGetFrameDimensionsCount) X(GdipImageGetFrameDimensionsList) X(GdipImageSelectActiveFrame) \
  X(GdipGetPropertyCount) X(GdipGetPropertyIdList) X(GdipGetPropertyItemSize) X(GdipGetPropertyItem) \
  X(GdipSetPropertyItem) X(GdipRemovePropertyItem) \
  X(GdipCreateBitmapFromScan0) X(GdipCreateBitmapFromStream) X(GdipCreateBitmapFromFile) \
  X(GdipCreateBitmapFromGraphics) X(GdipCreateBitmapFromGdiDib) X(GdipCreateBitmapFromHBITMAP) \
  X(GdipCreateHBITMAPFromBitmap) X(GdipCreateBitmapFromHICON) X(GdipCreateHICONFromBitmap) \
  X(GdipCreateBitmapFromResource) X(GdipCloneBitmapArea) X(GdipCloneBitmapAreaI) X(GdipBitmapLockBits) \
  X(GdipBitmapUnlockBits) X(GdipBitmapGetPixel) X(GdipBitmapSetPixel) X(GdipBitmapSetResolution) \
  X(GdipGetImageEncodersSize) X(GdipGetImageEncoders) X(GdipGetImageDecodersSize) X(GdipGetImageDecoders) \
  X(GdipCreateImageAttributes) X(GdipCloneImageAttributes) X(GdipDisposeImageAttributes) \
  X(GdipSetImageAttributesToIdentity) X(GdipResetImageAttributes) X(GdipSetImageAttributesColorMatrix) \
  X(GdipSetImageAttributesThreshold) X(GdipSetImageAttributesGamma) X(GdipSetImageAttributesNoOp) \
  X(GdipSetImageAttributesColorKeys) X(GdipSetImageAttributesOutputChannel) \
  X(GdipSetImageAttributesOutputChannelColorProfile) X(GdipSetImageAttributesRemapTable) \
  X(GdipSetImageAttributesWrapMode) X(GdipGetImageAttributesAdjustedPalette) \
  X(GdipCreateFontFamilyFromName) X(GdipCloneFontFamily) X(GdipDeleteFontFamily) \
  X(GdipGetGenericFontFamilySansSerif) X(GdipGetGenericFontFamilySerif) X(GdipGetGenericFontFamilyMonospace) \
  X(GdipGetFamilyName) X(GdipIsStyleAvailable) X(GdipGetEmHeight) X(GdipGetCellAscent) X(GdipGetCellDescent) \
  X(GdipGetLineSpacing) X(GdipCreateFont) X(GdipCreateFontFromDC) X(GdipCreateFontFromLogfontW) \
  X(GdipCloneFont) X(GdipDeleteFont) X(GdipGetFamily) X(GdipGetFontStyle) X(GdipGetFontSize) \
  X(GdipGetFontUnit) X(GdipGetFontHeight) X(GdipGetFontHeightGivenDPI) X(GdipGetLogFontW) \
  X(GdipNewInstalledFontCollection) X(GdipNewPrivateFontCollection) X(GdipDeletePrivateFontCollection) \
  X(GdipGetFontCollectionFamilyCount) X(GdipGetFontCollectionFamilyList) X(GdipPrivateAddFontFile) \
  X(GdipPrivateAddMemoryFont) \
  X(GdipCreateStringFormat) X(GdipStringFormatGetGenericDefault) X(GdipStringFormatGetGenericTypographic) \
  X(GdipCloneStringFormat) X(GdipDeleteStringFormat) X(GdipSetStringFormatFlags) X(GdipGetStringFormatFlags) \
  X(GdipSetStringFormatAlign) X(GdipGetStringFormatAlign) X(GdipSetStringFormatLineAlign) \
  X(GdipGetStringFormatLineAlign) X(GdipSetStringFormatTrimming) X(GdipGetStringFormatTrimming) \
  X(GdipSetStringFormatHotkeyPrefix) X(GdipGetStringFormatHotkeyPrefix) X(GdipSetStringFormatTabStops) \
  X(GdipSetStringFormatDigitSubstitution) X(GdipGetStringFormatDigitSubstitution) \
  X(GdipGetStringFormatTabStopCount) X(GdipGetStringFormatTabStops) X(GdipSetStringFormatMeasurableCharacterRanges) \
  X(GdipGetStringFormatMeasurableCharacterRangeCount) \
  X(GdipCreateMetafileFromEmf) X(GdipCreateMetafileFromWmf) X(GdipCreateMetafileFromStream) \
  X(GdipGetHemfFromMetafile) X(GdipGetMetafileHeaderFromMetafile) X(GdipGetMetafileHeaderFromEmf) \
  X(GdipRecordMetafile) X(GdipRecordMetafileStream) X(GdipPlayMetafileRecord) X(GdipEmfToWmfBits)

namespace dxGpDeclarations {
using namespace Gdiplus;
using namespace Gdiplus::DllExports;
}  // namespace dxGpDeclarations

// One pointer per function, typed as the library declares it; all nil while
// the library is not available.
struct TdxGpFunctions {
#define DX_GDIPLUS_POINTER(AName) decltype(&dxGpDeclarations::AName) AName;
  DX_GDIPLUS_FUNCTIONS(DX_GDIPLUS_POINTER)
#undef DX_GDIPLUS_POINTER
};

// Filled by the binding, cleared by the finish step. Tests put fakes in
// place of entries.
extern TdxGpFunctions dxGpFunctions;

// The names bound, in binding order, and the number of them.
std::span<const char* const> dxGpFunctionNames();

// The binding state, process-wide.
struct TdxGpBindingState {
  // 0 while not loaded.
  HMODULE Library;
  // True only while the library is loaded, every function is bound and the
  // library is started.
  bool Available;
  ULONG_PTR StartupToken;
  ULONG_PTR HookToken;
  // What GdiplusStartup handed back: with the background thread suppressed
  // the system installs the library's notification hook itself.
  Gdiplus::NotificationHookProc NotificationHook;
  Gdiplus::NotificationUnhookProc NotificationUnhook;
};

// Written by the binding and the finish step; tests read it (and may
// pretend with Available).
extern TdxGpBindingState dxGpBinding;

// Binds and starts the library while it is not available: on the first call
// and, after a failure, on every call. True when the library can be used.
// Never raises.
bool dxGpIsAvailable();
// What dxGpIsAvailable runs while the library is not available.
void dxGpBindLibrary();
// The finish step: unhooks and shuts the library down when it was started,
// then unloads it.
void dxGpUnbindLibrary();
// The module name loaded by the binding; tests point it elsewhere to see the
// library missing. nullptr restores "gdiplus.dll".
void dxGpSetLibraryNameForTests(const wchar_t* AName);

// ---------------------------------------------------------------------------
// Status codes

// Raised with the library's status.
class EdxGdipException : public EdxException {
 public:
  // Win32Error with the thread's last error set reports that error;
  // anything else reports the status number.
  explicit EdxGdipException(Status AStatus);
  const wchar_t* ClassName() const override { return L"EdxGdipException"; }
  Status GetStatus() const { return FStatus; }

 private:
  Status FStatus;
};

// Nothing for Ok; any other status raises EdxGdipException.
void dxGpCheck(Status AStatus);

// ---------------------------------------------------------------------------
// Bitmaps and images

// A new native 32-bit premultiplied ARGB bitmap without caller memory.
Gdiplus::GpBitmap* dxGpCreateBitmap(int AWidth, int AHeight);
Gdiplus::GpBitmap* dxGpCreateBitmapForSize(const TSize& ASize);
Gdiplus::GpBitmap* dxGpCreateBitmapForRect(const TRect& ARect);

// The data format of a native image from its raw format; dxImageUnknown
// without an image or when the query fails. Never dxImageExif.
TdxImageDataFormat dxGpGetImageFormat(Gdiplus::GpImage* AImage);

// ---------------------------------------------------------------------------
// Codec class ids

// The MIME types with a slot, in lookup order after PNG.
enum TdxGpCodecMimeType { gpcPng, gpcBmp, gpcGif, gpcJpeg, gpcTiff, gpcEmf, gpcWmf, gpcIcon };

// All zero until looked up; a type the library lacks stays zero (the EMF,
// WMF and icon types have no encoder).
struct TdxGpCodecIDs {
  std::array<CLSID, 8> Encoders;
  std::array<CLSID, 8> Decoders;
};
extern TdxGpCodecIDs dxGpCodecIDs;

// Fills the slots not set yet; a missing PNG encoder or decoder raises
// EdxGdipException with GenericError. Run after a successful availability
// check.
void dxGpLoadCodecIDs();
// The encoder of a data format: zero for EMF, WMF and icons; raises
// EdxException "dxGetImageEncoder fails" for dxImageUnknown and dxImageExif.
void dxGetImageEncoder(TdxImageDataFormat AFormat, CLSID& AClsid);

// ---------------------------------------------------------------------------
// TdxGpBase

// The base of the wrappers of native objects. While the library is available
// their memory comes from the library's allocator, and an object returns its
// memory where it came from, even when the library has become unavailable
// since.
class TdxGpBase : public rtl::TObject {
  RTL_CLASS(TdxGpBase, rtl::TObject)

 public:
  static void* NewInstance(std::size_t ASize);
  void FreeInstance() override;

  bool IsGpUsed() const { return FIsGpUsed; }

 protected:
  // Which allocator gave the memory. Set as the object comes into being,
  // right after NewInstance chose, not after construction: a Create that
  // binds the library, or one that fails, must still return the memory to
  // the allocator it came from.
  bool FIsGpUsed = dxGpBinding.Available;
};
