// The vector canvas.
#include <algorithm>
#include <cassert>

#include "graphics/dxGDIPlusClasses.h"

// ---------------------------------------------------------------------------
// TdxGPCanvas: life cycle and rendering modes

void TdxGPCanvas::Create(Gdiplus::GpGraphics* AHandle)
{
  Create();
  FHandle = AHandle;
}

void TdxGPCanvas::Create(HDC DC)
{
  Create();
  dxGpCheck(dxGpFunctions.GdipCreateFromHDC(DC, &FHandle));
}

void TdxGPCanvas::Destroy()
{
  // Saves and restores pair; what is left on a stack is a caller's fault and
  // is not freed here.
  assert(FSavedClipRegions.empty() && "TdxGPCanvas.FSavedClipRegions <> 0");
  assert(FSavedWorldTransforms.empty() && "TdxGPCanvas.FSavedWorldTransforms <> 0");
  if (FHandle)
    dxGpCheck(dxGpFunctions.GdipDeleteGraphics(std::exchange(FHandle, nullptr)));
  inherited::Destroy();
}

HDC TdxGPCanvas::GetHDC()
{
  HDC result = nullptr;
  dxGpCheck(dxGpFunctions.GdipGetDC(FHandle, &result));
  return result;
}

void TdxGPCanvas::ReleaseHDC(HDC DC)
{
  dxGpCheck(dxGpFunctions.GdipReleaseDC(FHandle, DC));
}

TdxGPInterpolationMode TdxGPCanvas::GetInterpolationMode()
{
  Gdiplus::InterpolationMode mode = Gdiplus::InterpolationModeDefault;
  dxGpCheck(dxGpFunctions.GdipGetInterpolationMode(FHandle, &mode));
  // The library's "invalid" (-1) and anything unknown read as the default.
  if (static_cast<unsigned>(mode) > imHighQualityBicubic)
    return imDefault;
  return static_cast<TdxGPInterpolationMode>(mode);
}

void TdxGPCanvas::SetInterpolationMode(TdxGPInterpolationMode AValue)
{
  dxGpCheck(dxGpFunctions.GdipSetInterpolationMode(FHandle, static_cast<Gdiplus::InterpolationMode>(AValue)));
}

TdxGPSmoothingMode TdxGPCanvas::GetSmoothingMode()
{
  Gdiplus::SmoothingMode mode = Gdiplus::SmoothingModeDefault;
  dxGpCheck(dxGpFunctions.GdipGetSmoothingMode(FHandle, &mode));
  if (static_cast<unsigned>(mode) > smAntiAlias)
    return smDefault;
  return static_cast<TdxGPSmoothingMode>(mode);
}

void TdxGPCanvas::SetSmoothingMode(TdxGPSmoothingMode AValue)
{
  dxGpCheck(dxGpFunctions.GdipSetSmoothingMode(FHandle, static_cast<Gdiplus::SmoothingMode>(AValue)));
}

TdxGpTextRenderingHint TdxGPCanvas::GetTextRenderingHint()
{
  Gdiplus::TextRenderingHint hint = TextRenderingHintSystemDefault;
  dxGpCheck(dxGpFunctions.GdipGetTextRenderingHint(FHandle, &hint));
  return hint;
}

void TdxGPCanvas::SetTextRenderingHint(TdxGpTextRenderingHint AValue)
{
  dxGpCheck(dxGpFunctions.GdipSetTextRenderingHint(FHandle, AValue));
}

Gdiplus::PixelOffsetMode TdxGPCanvas::GetPixelOffsetMode()
{
  Gdiplus::PixelOffsetMode mode = Gdiplus::PixelOffsetModeDefault;
  dxGpCheck(dxGpFunctions.GdipGetPixelOffsetMode(FHandle, &mode));
  return mode;
}

void TdxGPCanvas::SetPixelOffsetMode(Gdiplus::PixelOffsetMode AValue)
{
  dxGpCheck(dxGpFunctions.GdipSetPixelOffsetMode(FHandle, AValue));
}

float TdxGPCanvas::DpiX()
{
  float result = 0;
  dxGpCheck(dxGpFunctions.GdipGetDpiX(FHandle, &result));
  return result;
}

float TdxGPCanvas::DpiY()
{
  float result = 0;
  dxGpCheck(dxGpFunctions.GdipGetDpiY(FHandle, &result));
  return result;
}
