#pragma once
// The skin generator's pixels: an integer rasteriser over a straight-alpha
// RGBA picture and the encoders of its two file forms. No floating point and
// no platform drawing, so the bytes are the same on any machine and any Wine.

#include <cstdint>
#include <string_view>
#include <vector>

namespace skingen {

// 0xAARRGGBB, straight alpha.
using TArgb = std::uint32_t;

constexpr TArgb Opaque(std::uint32_t ARgb)
{
  return 0xFF000000u | (ARgb & 0xFFFFFFu);
}

class TPicture {
 public:
  TPicture(int AWidth, int AHeight) : FWidth(AWidth), FHeight(AHeight), FPixels(std::size_t(AWidth) * AHeight, 0) {}

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  TArgb Pixel(int X, int Y) const { return FPixels[std::size_t(Y) * FWidth + X]; }

  // Source-over of AColor with its alpha scaled by ACoverage / 16.
  void Blend(int X, int Y, TArgb AColor, int ACoverage = 16);
  void Fill(int X, int Y, int W, int H, TArgb AColor);
  // A rounded rectangle at 4 x 4 coverage; AColorAt gives the colour of a
  // row, so one call draws flat and vertically graded faces.
  template <class F>
  void FillRoundRect(int X, int Y, int W, int H, int ARadius, F AColorAt);
  void FillRoundRect(int X, int Y, int W, int H, int ARadius, TArgb AColor)
  {
    FillRoundRect(X, Y, W, H, ARadius, [=](int) { return AColor; });
  }
  void FillEllipse(int X, int Y, int W, int H, TArgb AColor);
  // A symbol drawn from rows of '#' (ink) and '.', centred in the box.
  void DrawMask(int X, int Y, int W, int H, const std::vector<std::string_view>& ARows, TArgb AColor);
  // A copy of APicture placed at X, Y.
  void Place(const TPicture& APicture, int X, int Y);

  // RGBA8, one IDAT, every row filtered Up, zlib level 9.
  std::vector<std::uint8_t> EncodePng() const;
  // 32-bit BI_RGB, bottom-up, as the skin icons of raster skins are kept.
  std::vector<std::uint8_t> EncodeBmp() const;

 private:
  int Coverage(int X, int Y, int L, int T, int R, int B, int ARadius) const;

  int FWidth;
  int FHeight;
  std::vector<TArgb> FPixels;
};

template <class F>
void TPicture::FillRoundRect(int X, int Y, int W, int H, int ARadius, F AColorAt)
{
  for (int y = Y; y < Y + H; ++y) {
    if (y < 0 || y >= FHeight)
      continue;
    const TArgb color = AColorAt(y - Y);
    for (int x = X; x < X + W; ++x)
      if (x >= 0 && x < FWidth)
        Blend(x, y, color, Coverage(x, y, X, Y, X + W, Y + H, ARadius));
  }
}

}  // namespace skingen
