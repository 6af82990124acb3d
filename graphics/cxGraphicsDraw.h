// The drawing routines of the graphics unit:
// - solid fills and frames with cached brushes, two-colour and weighted
//   gradients, the design-time selector and hatching;
// - alpha blending of premultiplied 32-bit sources by three routes: the
//   system's AlphaBlend, the 2-D graphics library (for 32-bit processes on
//   64-bit Windows, whose AlphaBlend misbehaves there) and the unit's own
//   code; a Lanczos resampler for smooth resizing;
// - bitmap and region helpers;
// - the image pipeline: a glyph placed in a rectangle by a fit mode and drawn
//   normal, disabled, faded, grey, dingy or shadowed.
// The optional msimg32 functions are bound by name at the graphics unit's
// start (cxGraphics.cpp calls cxGraphicsDrawInitialize and
// cxGraphicsDrawFinalize); without them the routines use their own code.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "core/cxGeometry.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxCoreGraphics.h"
#include "platform/rtl/SystemTypes.h"
#include "platform/vcl/Graphics.h"

namespace vcl {
class TCustomImageList;
}

RTL_ENUM(TcxImageDrawMode, idmNormal, idmDisabled, idmFaded, idmGrayScale, idmDingy, idmShadowed);
RTL_ENUM(TcxImageFitMode, ifmNormal, ifmStretch, ifmProportionalStretch, ifmFit, ifmFill);

// ---------------------------------------------------------------------------
// Unit state

using TcxGradientFillProc = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
using TcxAlphaBlendProc = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);

// msimg32.dll and the two functions bound from it by name; all nil without
// the library. Tests put nil in place of a function to reach the own code.
struct TcxMsImg32Binding {
  HMODULE Library;
  TcxGradientFillProc GradientFill;
  TcxAlphaBlendProc AlphaBlend;
};
extern TcxMsImg32Binding cxMsImg32;

// The unit's start and finish steps for the drawing routines: binding and
// screen DPI; the finish releases the scratch bitmaps and the library.
void cxGraphicsDrawInitialize();
void cxGraphicsDrawFinalize();

// Read from the screen DC at unit start.
TPoint cxGetScreenPixelsPerInch();
// The vertical one.
int cxGetScreenDPI();

// ---------------------------------------------------------------------------
// Fills and gradients

// Nothing for clNone; the cached solid brush of the colour otherwise.
void cxFillRectByColor(HDC DC, const TRect& R, vcl::TColor AColor);
void cxFrameRectByColor(HDC DC, const TRect& R, vcl::TColor AColor);

// Note the argument order: the direction flag between the two colours. The
// deleted overloads catch calls that put the flag last, which would
// otherwise compile with the colour silently taken as the flag.
// AColor1 at the top (at the left when AHorizontal), AColor2 at the bottom
// (right); colours of equal RGB fill solidly. The system GradientFill when
// bound, else at most 256 solid bands.
void cxGradientFillRect(HDC DC, const TRect& R, vcl::TColor AColor1, bool AHorizontal, vcl::TColor AColor2);
void cxGradientFillRect(HDC DC, const TRect& R, vcl::TColor AColor1, vcl::TColor AColor2, bool AHorizontal) = delete;
// The banding alone, as drawn without GradientFill.
void cxGradientFillRectByBands(HDC DC, const TRect& R, vcl::TColor AColor1, bool AHorizontal, vcl::TColor AColor2);
// The colour the banding puts at APos (an x when AHorizontal, else a y).
// Positions before R take the first band's colour, positions past it the
// last band's.
vcl::TColor cxGradientColorAt(const TRect& R, int APos, vcl::TColor AColor1, bool AHorizontal, vcl::TColor AColor2);
vcl::TColor cxGradientColorAt(const TRect& R, int APos, vcl::TColor AColor1, vcl::TColor AColor2,
                              bool AHorizontal) = delete;
// A gradient of one-pixel bands whose middle colour is moved by AWeight
// percent: 100 is even, 0 keeps the first half at AColor1, 200 reaches
// AColor2 in the middle.
void cxWeightedGradientFillRect(HDC DC, const TRect& R, vcl::TColor AColor1, bool AHorizontal, int AWeight,
                                vcl::TColor AColor2);

// The design-time selector square; AIndex and $7F picks light green (0) or
// light red (1). R and its shadow leave the clip afterwards.
void cxDrawDesignSelector(TcxCanvas* ACanvas, const TRect& R, int AIndex);
// Checks of AColor1 and AColor2, AStep pixels wide, blended over what R
// shows with AAlpha1 and AAlpha2.
void cxDrawHatchRect(HDC DC, const TRect& R, vcl::TColor AColor1, std::uint8_t AStep, std::uint8_t AAlpha1,
                     std::uint8_t AAlpha2, vcl::TColor AColor2);

// ---------------------------------------------------------------------------
// Alpha blending and resampling

// The source is taken as premultiplied 32-bit. Nothing when either rectangle
// is empty. ASmoothImage only matters when the two sizes differ.
void cxAlphaBlend(HDC ADestDC, HDC ASrcDC, const TRect& ADestRect, const TRect& ASrcRect, bool ASmoothImage = false,
                  std::uint8_t AConstantAlpha = 255);
void cxAlphaBlend(HDC ADestDC, vcl::TBitmap* ASrcBitmap, const TRect& ADestRect, const TRect& ASrcRect,
                  bool ASmoothImage = false, std::uint8_t AConstantAlpha = 255);
void cxAlphaBlend(vcl::TBitmap* ADestBitmap, vcl::TBitmap* ASrcBitmap, const TRect& ADestRect, const TRect& ASrcRect,
                  bool ASmoothImage = false, std::uint8_t AConstantAlpha = 255);

// BitBlt of ADestRect's size from ASrcTopLeft.
void cxBlitRect(HDC ADestDC, HDC ASrcDC, const TRect& ADestRect, const TPoint& ASrcTopLeft, DWORD ARop = SRCCOPY);
// StretchBlt of ASrcRect into ADestRect.
void cxStretchBlt(HDC ADestDC, HDC ASrcDC, const TRect& ADestRect, const TRect& ASrcRect, DWORD ARop = SRCCOPY);

// ASource resized into ADest's size. On the NT family StretchBlt in HALFTONE
// mode, unless AForceOwnFilter; else a two-pass Lanczos filter (window 3)
// over the 32-bit pixels, alpha included.
void cxSmoothResizeBitmap(vcl::TBitmap* ASource, vcl::TBitmap* ADest, bool AForceOwnFilter = false);

// ---------------------------------------------------------------------------
// Bitmaps and regions

// A platform bitmap of that size and pixel format; the caller owns it.
vcl::TBitmap* cxCreateBitmap(const TSize& ASize, vcl::TPixelFormat AFormat = vcl::TPixelFormat::pfDevice);
vcl::TBitmap* cxCreateBitmap(const TRect& ARect, vcl::TPixelFormat AFormat = vcl::TPixelFormat::pfDevice);
vcl::TBitmap* cxCreateBitmap(int AWidth, int AHeight, vcl::TPixelFormat AFormat = vcl::TPixelFormat::pfDevice);
void cxFillBitmapBlack(vcl::TBitmap* ABitmap);
// Nil for nil; a TcxBitmap copy of a bitmap; any other graphic drawn at
// (0, 0) onto a cleared TcxBitmap32 of its size. The caller owns the result.
TcxBitmap* cxGraphicToBitmap(vcl::TGraphic* AGraphic);

// Runs of pixels whose colour (alpha ignored) differs from
// ATransparentColor, row by row; 0 when every pixel is transparent. The
// caller owns the region.
HRGN cxCreateRegionFromBitmap(vcl::TBitmap* ABitmap, vcl::TColor ATransparentColor);
// A DIB-section copy; the caller owns it.
HBITMAP cxCopyBitmapHandle(HBITMAP ABitmapHandle);
// ABitmap's pixels from ASrcTopLeft into ADestRect of ADC.
void cxCopyBitmapToDC(HDC ADC, vcl::TBitmap* ABitmap, const TRect& ADestRect, DWORD ARop = SRCCOPY,
                      const TPoint& ASrcTopLeft = cxNullPoint);
// The current cursor's size below its hot spot.
TSize cxGetCursorSize();

void cxExcludeRectFromClip(HDC DC, const TRect& R);
// R grown by AMargins on every side not in ABorders.
TRect cxRectExpandExceptBorders(const TRect& R, const TRect& AMargins, TcxBorders ABorders);
// The common-controls library is version 6 or later.
bool cxIsComCtl6();

// ---------------------------------------------------------------------------
// Images

// Assigned and not empty.
bool cxIsGraphicAssigned(vcl::TGraphic* AGraphic);
// The list is assigned and 0 <= AIndex < Count.
bool cxIsImageIndexValid(vcl::TCustomImageList* AImages, int AIndex);
// A graphic that is not empty, or a valid image index.
bool cxIsImageAssigned(vcl::TGraphic* AGraphic, vcl::TCustomImageList* AImages, int AIndex);
// The list's Width x Height converted from its source DPI to AScaleFactor
// (nil is 1:1).
TSize cxGetImageListSize(vcl::TCustomImageList* AImages, const TdxScaleFactor* AScaleFactor);
// The glyph's size when it is assigned, else the list's for a valid index,
// else 0 x 0.
TSize cxGetImageSize(vcl::TGraphic* AGraphic, vcl::TCustomImageList* AImages, int AIndex,
                     const TdxScaleFactor* AScaleFactor);
// The DPI an image was made for: 96 for the platform's graphics.
int cxGetSourceDPI(rtl::TObject* AObject);
// The glyph's size converted from its source DPI to AScaleFactor (nil is
// 1:1); 0 x 0 without a glyph.
TSize cxGetImageSize(vcl::TGraphic* AGraphic, const TdxScaleFactor* AScaleFactor);
// Where an image of ASize goes in R. R unchanged unless the size is at least
// 1 x 1. Centred in R with ACenter, else at its top-left.
TRect cxGetImageRect(const TRect& R, const TSize& ASize, TcxImageFitMode AFitMode, int APercent = 100,
                     bool ACenter = true);

// AGlyph placed in R by AFitMode and drawn in ADrawMode. APalette recolours
// vector images only.
void cxDrawImage(TcxCanvas* ACanvas, const TRect& R, vcl::TGraphic* AGlyph, bool ASmoothImage,
                 const TdxScaleFactor* AScaleFactor, IdxColorPalette* APalette, bool AUseLeftBottomPixelAsTransparent,
                 TcxImageDrawMode ADrawMode, TcxImageFitMode AFitMode);
// Left-bottom transparency, ifmNormal, no smoothing; disabled unless
// AEnabled.
void cxDrawImage(TcxCanvas* ACanvas, const TRect& R, vcl::TGraphic* AGlyph, const TdxScaleFactor* AScaleFactor,
                 IdxColorPalette* APalette, bool AEnabled);
// The forms with an image list: an image of a TcxCustomImageList (and no
// glyph) is drawn through the image-list paint cache.
void cxDrawImage(TcxCanvas* ACanvas, const TRect& R, vcl::TGraphic* AGlyph, bool ASmoothImage,
                 const TdxScaleFactor* AScaleFactor, IdxColorPalette* APalette, bool AUseLeftBottomPixelAsTransparent,
                 TcxImageDrawMode ADrawMode, TcxImageFitMode AFitMode, int AIndex, vcl::TCustomImageList* AImages);
void cxDrawImage(TcxCanvas* ACanvas, const TRect& R, vcl::TGraphic* AGlyph, const TdxScaleFactor* AScaleFactor,
                 IdxColorPalette* APalette, bool AEnabled, int AIndex, vcl::TCustomImageList* AImages);
void cxDrawMetafile(TcxCanvas* ACanvas, const TRect& R, vcl::TGraphic* AMetafile, bool ASmoothImage,
                    const TdxScaleFactor* AScaleFactor, IdxColorPalette* APalette, TcxImageFitMode AFitMode);
// The pipeline: the glyph rendered at AImageRect's size, masked, turned by
// the draw mode, blended over the background (ABackgroundBrush, else what
// ADC shows) and copied to ADestRect of ADC. ATransparentColor (when a real
// colour) and, with AUseLeftBottomPixelAsTransparent, the glyph's
// transparent colour are left out of an image without alpha.
void cxDrawImageToDC(HDC ADC, const TRect& AImageRect, const TRect& ADestRect, IdxColorPalette* APalette,
                     bool AUseLeftBottomPixelAsTransparent, vcl::TColor ATransparentColor, HBRUSH ABackgroundBrush,
                     bool ASmoothImage, TcxImageDrawMode ADrawMode, vcl::TGraphic* AGlyph);
// The same for the glyph or, without one, image AIndex of AImages.
void cxDrawImageToDC(HDC ADC, const TRect& AImageRect, const TRect& ADestRect, IdxColorPalette* APalette,
                     bool AUseLeftBottomPixelAsTransparent, vcl::TColor ATransparentColor, HBRUSH ABackgroundBrush,
                     bool ASmoothImage, TcxImageDrawMode ADrawMode, int AIndex, vcl::TCustomImageList* AImages,
                     vcl::TGraphic* AGlyph);
// The target list cleared and refilled with every source image drawn in
// ADrawMode over ATransparentColor and added masked by that colour.
// cxConvertImageListToMasked does it to a list in place.
void cxCopyImagesAsMasked(vcl::TCustomImageList* ASource, vcl::TCustomImageList* ATarget,
                          vcl::TColor ATransparentColor, TcxImageDrawMode ADrawMode);
void cxConvertImageListToMasked(vcl::TCustomImageList* AImages, vcl::TColor ATransparentColor,
                                TcxImageDrawMode ADrawMode);

// ABitmap32 resized to AWidth x AHeight: with AStretch its old image is
// blended over the whole new area, else copied unscaled and centred over
// ABackgroundColor (clNone: cleared).
void cxFitBitmapToSize(TcxBitmap32* ABitmap32, int AWidth, int AHeight, vcl::TColor ABackgroundColor,
                       bool ASmoothImage, bool AStretch);

// Top-down 32-bit copies of a bitmap's pixels (0xAARRGGBB), and writing them
// back; a size that does not match the bitmap writes nothing.
std::vector<std::uint32_t> cxReadBitmapPixels(vcl::TBitmap* ABitmap);
void cxWriteBitmapPixels(vcl::TBitmap* ABitmap, const std::vector<std::uint32_t>& APixels);
