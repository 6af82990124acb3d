// A 32-bit top-down DIB section in a memory DC for tests to draw into and
// sample.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/vcl/Graphics.h"

namespace vcltest {

class TSurface {
 public:
  TSurface(int AWidth, int AHeight, std::uint32_t AFill = 0x00FFFFFF) : FWidth(AWidth), FHeight(AHeight)
  {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = AWidth;
    info.bmiHeader.biHeight = -AHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    FBitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    FBits = static_cast<std::uint32_t*>(bits);
    FDC.Reset(CreateCompatibleDC(nullptr));
    FOld = SelectObject(FDC.Get(), FBitmap.Get());
    for (int i = 0; i < AWidth * AHeight; ++i)
      FBits[i] = AFill;
  }
  ~TSurface() { SelectObject(FDC.Get(), FOld); }

  HDC DC() const { return FDC.Get(); }
  // $00RRGGBB as stored (alpha masked off).
  std::uint32_t Pixel(int X, int Y) const
  {
    GdiFlush();
    return FBits[Y * FWidth + X] & 0xFFFFFF;
  }
  std::uint32_t Raw(int X, int Y) const
  {
    GdiFlush();
    return FBits[Y * FWidth + X];
  }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }

 private:
  int FWidth;
  int FHeight;
  std::uint32_t* FBits;
  vcl::TOwnedBitmap FBitmap;
  vcl::TOwnedDC FDC;
  HGDIOBJ FOld;
};

// TColor ($00BBGGRR) as the surface stores it ($00RRGGBB).
constexpr std::uint32_t AsPixel(vcl::TColor AColor)
{
  return ((AColor & 0xFF) << 16) | (AColor & 0xFF00) | ((AColor >> 16) & 0xFF);
}

// Wine answers 0 here, so leak tests also check that the handles made are
// gone; on Windows the count catches what those checks miss.
inline DWORD GdiObjectCount()
{
  return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
}

}  // namespace vcltest
