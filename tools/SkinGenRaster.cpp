#include "tools/SkinGenRaster.h"

#include <zlib.h>

#include <stdexcept>

namespace skingen {

namespace {

void PutBigEndian(std::vector<std::uint8_t>& AOut, std::uint32_t AValue)
{
  for (int shift = 24; shift >= 0; shift -= 8)
    AOut.push_back(static_cast<std::uint8_t>(AValue >> shift));
}

void PutLittleEndian(std::vector<std::uint8_t>& AOut, std::uint32_t AValue, int ABytes)
{
  for (int i = 0; i < ABytes; ++i)
    AOut.push_back(static_cast<std::uint8_t>(AValue >> (8 * i)));
}

void PutChunk(std::vector<std::uint8_t>& AOut, const char (&AType)[5], const std::vector<std::uint8_t>& AData)
{
  PutBigEndian(AOut, static_cast<std::uint32_t>(AData.size()));
  const std::size_t start = AOut.size();
  AOut.insert(AOut.end(), AType, AType + 4);
  AOut.insert(AOut.end(), AData.begin(), AData.end());
  const uLong crc = crc32(0, AOut.data() + start, static_cast<uInt>(AOut.size() - start));
  PutBigEndian(AOut, static_cast<std::uint32_t>(crc));
}

// Whether the sample (SX, SY) of a 4 x 4 grid per pixel lies inside the
// rounded rectangle [L, R) x [T, B) of pixels. Distances are taken in eighths
// of a pixel, where sample centres fall on odd values.
bool InsideRounded(int SX, int SY, int L, int T, int R, int B, int ARadius)
{
  const int px = 2 * SX + 1, py = 2 * SY + 1;
  L *= 8, T *= 8, R *= 8, B *= 8;
  if (px < L || px >= R || py < T || py >= B)
    return false;
  const int r = ARadius * 8;
  const int cx = px < L + r ? L + r : px > R - r ? R - r : px;
  const int cy = py < T + r ? T + r : py > B - r ? B - r : py;
  const int dx = px - cx, dy = py - cy;
  return dx * dx + dy * dy <= r * r;
}

}  // namespace

void TPicture::Blend(int X, int Y, TArgb AColor, int ACoverage)
{
  if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight || ACoverage <= 0)
    return;
  const std::uint32_t sa = ((AColor >> 24) * static_cast<std::uint32_t>(ACoverage) + 8) / 16;
  if (sa == 0)
    return;
  TArgb& dst = FPixels[std::size_t(Y) * FWidth + X];
  const std::uint32_t da = dst >> 24;
  // Straight alpha source-over, in 1/255 steps: out = s*sa + d*da*(255-sa)/255.
  const std::uint32_t dw = da * (255 - sa) / 255;
  const std::uint32_t oa = sa + dw;
  if (oa == 0) {
    dst = 0;
    return;
  }
  TArgb result = oa << 24;
  for (int shift = 0; shift <= 16; shift += 8) {
    const std::uint32_t s = (AColor >> shift) & 0xFF;
    const std::uint32_t d = (dst >> shift) & 0xFF;
    result |= ((s * sa + d * dw + oa / 2) / oa) << shift;
  }
  dst = result;
}

void TPicture::Fill(int X, int Y, int W, int H, TArgb AColor)
{
  for (int y = Y; y < Y + H; ++y)
    for (int x = X; x < X + W; ++x)
      if (x >= 0 && y >= 0 && x < FWidth && y < FHeight)
        FPixels[std::size_t(y) * FWidth + x] = AColor;
}

int TPicture::Coverage(int X, int Y, int L, int T, int R, int B, int ARadius) const
{
  int count = 0;
  for (int sy = 0; sy < 4; ++sy)
    for (int sx = 0; sx < 4; ++sx)
      count += InsideRounded(X * 4 + sx, Y * 4 + sy, L, T, R, B, ARadius) ? 1 : 0;
  return count;
}

void TPicture::FillEllipse(int X, int Y, int W, int H, TArgb AColor)
{
  // Samples at the centres of quarter pixels, in eighths: inside when
  // (dx/a)^2 + (dy/b)^2 <= 1, cross-multiplied to stay in integers.
  const long long a = W * 4, b = H * 4;
  for (int y = Y; y < Y + H; ++y)
    for (int x = X; x < X + W; ++x) {
      int count = 0;
      for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
          const long long dx = 2 * ((x - X) * 4 + sx) + 1 - a;
          const long long dy = 2 * ((y - Y) * 4 + sy) + 1 - b;
          count += dx * dx * b * b + dy * dy * a * a <= a * a * b * b ? 1 : 0;
        }
      Blend(x, y, AColor, count);
    }
}

void TPicture::DrawMask(int X, int Y, int W, int H, const std::vector<std::string_view>& ARows, TArgb AColor)
{
  if (ARows.empty())
    return;
  const int mh = static_cast<int>(ARows.size());
  const int mw = static_cast<int>(ARows.front().size());
  const int ox = X + (W - mw) / 2;
  const int oy = Y + (H - mh) / 2;
  // Clipped to the box: a strip's frames sit side by side.
  for (int y = 0; y < mh; ++y)
    for (int x = 0; x < static_cast<int>(ARows[y].size()); ++x)
      if (ARows[y][x] == '#' && ox + x >= X && ox + x < X + W && oy + y >= Y && oy + y < Y + H)
        Blend(ox + x, oy + y, AColor);
}

void TPicture::Place(const TPicture& APicture, int X, int Y)
{
  for (int y = 0; y < APicture.Height(); ++y)
    for (int x = 0; x < APicture.Width(); ++x)
      if (X + x >= 0 && Y + y >= 0 && X + x < FWidth && Y + y < FHeight)
        FPixels[std::size_t(Y + y) * FWidth + X + x] = APicture.Pixel(x, y);
}

std::vector<std::uint8_t> TPicture::EncodePng() const
{
  const std::size_t stride = std::size_t(FWidth) * 4;
  std::vector<std::uint8_t> raw;
  raw.reserve((stride + 1) * FHeight);
  std::vector<std::uint8_t> previous(stride, 0), row(stride);
  for (int y = 0; y < FHeight; ++y) {
    for (int x = 0; x < FWidth; ++x) {
      const TArgb p = Pixel(x, y);
      row[x * 4 + 0] = static_cast<std::uint8_t>(p >> 16);
      row[x * 4 + 1] = static_cast<std::uint8_t>(p >> 8);
      row[x * 4 + 2] = static_cast<std::uint8_t>(p);
      row[x * 4 + 3] = static_cast<std::uint8_t>(p >> 24);
    }
    raw.push_back(2);  // Up
    for (std::size_t i = 0; i < stride; ++i)
      raw.push_back(static_cast<std::uint8_t>(row[i] - previous[i]));
    previous.swap(row);
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<std::uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK)
    throw std::runtime_error("zlib failed to compress a texture");
  packed.resize(packedSize);

  std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  std::vector<std::uint8_t> header;
  PutBigEndian(header, static_cast<std::uint32_t>(FWidth));
  PutBigEndian(header, static_cast<std::uint32_t>(FHeight));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, adaptive, no interlace
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", packed);
  PutChunk(png, "IEND", {});
  return png;
}

std::vector<std::uint8_t> TPicture::EncodeBmp() const
{
  const std::uint32_t pixelBytes = std::uint32_t(FWidth) * FHeight * 4;
  std::vector<std::uint8_t> bmp = {'B', 'M'};
  PutLittleEndian(bmp, 14 + 40 + pixelBytes, 4);
  PutLittleEndian(bmp, 0, 4);
  PutLittleEndian(bmp, 14 + 40, 4);
  PutLittleEndian(bmp, 40, 4);
  PutLittleEndian(bmp, static_cast<std::uint32_t>(FWidth), 4);
  PutLittleEndian(bmp, static_cast<std::uint32_t>(FHeight), 4);  // positive: bottom-up
  PutLittleEndian(bmp, 1, 2);
  PutLittleEndian(bmp, 32, 2);
  PutLittleEndian(bmp, 0, 4);  // BI_RGB
  PutLittleEndian(bmp, pixelBytes, 4);
  PutLittleEndian(bmp, 3780, 4);  // 96 dpi
  PutLittleEndian(bmp, 3780, 4);
  PutLittleEndian(bmp, 0, 4);
  PutLittleEndian(bmp, 0, 4);
  for (int y = FHeight - 1; y >= 0; --y)
    for (int x = 0; x < FWidth; ++x)
      PutLittleEndian(bmp, Pixel(x, y) | 0xFF000000u, 4);  // the icons are opaque
  return bmp;
}

}  // namespace skingen
