// Image bytes the image tests make themselves: a pixel pattern, its encodings
// through the codecs, and an animated GIF written byte by byte.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/ClassesStreams.h"

// Found by the test macros through the argument's namespace.
inline bool operator==(const TSize& A, const TSize& B)
{
  return A.cx == B.cx && A.cy == B.cy;
}

namespace dxImageTestBytes {

using TBytes = std::vector<std::uint8_t>;

inline TBytes Join(std::initializer_list<TBytes> AParts)
{
  TBytes result;
  for (const TBytes& part : AParts)
    result.insert(result.end(), part.begin(), part.end());
  return result;
}

inline TBytes Text(const std::string& AText)
{
  return TBytes(AText.begin(), AText.end());
}

inline TBytes LE16(unsigned AValue)
{
  return {static_cast<std::uint8_t>(AValue), static_cast<std::uint8_t>(AValue >> 8)};
}

inline rtl::TOwnedPtr<rtl::TBytesStream> StreamOf(const TBytes& ABytes)
{
  return rtl::TOwnedPtr<rtl::TBytesStream>(rtl::New<rtl::TBytesStream>(ABytes));
}

inline TBytes BytesOf(rtl::TStream* AStream)
{
  TBytes result(static_cast<std::size_t>(AStream->GetSize()));
  AStream->SetPosition(0);
  if (!result.empty())
    AStream->ReadBuffer(result.data(), static_cast<int>(result.size()));
  return result;
}

// $AARRGGBB pixels, rows top-down.
inline TRGBColors PixelsOf(const std::vector<std::uint32_t>& AColors)
{
  TRGBColors result(AColors.size());
  std::memcpy(result.data(), AColors.data(), AColors.size() * sizeof(std::uint32_t));
  return result;
}

inline std::vector<std::uint32_t> ColorsOf(const TRGBColors& APixels)
{
  std::vector<std::uint32_t> result(APixels.size());
  std::memcpy(result.data(), APixels.data(), APixels.size() * sizeof(std::uint32_t));
  return result;
}

// 4 x 3: red, green, blue and white columns; the middle row half
// transparent when AWithAlpha (premultiplied).
constexpr int PatternWidth = 4;
constexpr int PatternHeight = 3;

inline std::vector<std::uint32_t> PatternColors(bool AWithAlpha)
{
  std::vector<std::uint32_t> result;
  const std::uint32_t opaque[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
  const std::uint32_t half[] = {0x80800000, 0x80008000, 0x80000080, 0x80808080};
  for (int y = 0; y < PatternHeight; ++y)
    for (int x = 0; x < PatternWidth; ++x)
      result.push_back(AWithAlpha && y == 1 ? half[x] : opaque[x]);
  return result;
}

// A new image of the pattern, held as pixels.
template <class T = TdxSmartImage>
T* NewPatternImage(bool AWithAlpha = false)
{
  const TRGBColors bits = PixelsOf(PatternColors(AWithAlpha));
  return rtl::NewWith<T>([&](T* AImage) { AImage->CreateFromBits(PatternWidth, PatternHeight, bits, true); });
}

// The pattern encoded by a codec.
inline TBytes EncodedPattern(TdxSmartImageCodecClass ACodec, bool AWithAlpha = false)
{
  rtl::TOwnedPtr<TdxSmartImage> image(NewPatternImage(AWithAlpha));
  rtl::TOwnedPtr<rtl::TBytesStream> stream(StreamOf({}));
  image->SaveToStreamByCodec(stream.get(), ACodec);
  return BytesOf(stream.get());
}

template <class T = TdxSmartImage>
T* NewImageOf(const TBytes& ABytes)
{
  auto stream = StreamOf(ABytes);
  T* result = rtl::New<T>();
  result->LoadFromStream(stream.get());
  return result;
}

// 3-bit LZW codes packed from the lowest bit up, in sub-blocks.
inline TBytes GifImageData(std::initializer_list<unsigned> ACodes)
{
  TBytes packed;
  unsigned buffer = 0;
  int bits = 0;
  for (unsigned code : ACodes) {
    buffer |= code << bits;
    bits += 3;
    while (bits >= 8) {
      packed.push_back(static_cast<std::uint8_t>(buffer));
      buffer >>= 8;
      bits -= 8;
    }
  }
  if (bits > 0)
    packed.push_back(static_cast<std::uint8_t>(buffer));
  return Join({{2, static_cast<std::uint8_t>(packed.size())}, packed, {0}});
}

// A 2 x 2 frame of one colour index. With a minimum code size of 2 the clear
// code is 4 and the end code 5; a clear after every two pixels keeps every
// code 3 bits wide.
inline TBytes GifFrame(unsigned AColorIndex, unsigned ADelayCentiseconds)
{
  const TBytes control = Join({{0x21, 0xF9, 4, 0x04}, LE16(ADelayCentiseconds), {0, 0}});
  const TBytes descriptor = Join({{0x2C}, LE16(0), LE16(0), LE16(2), LE16(2), {0}});
  const TBytes data = GifImageData({4, AColorIndex, AColorIndex, 4, AColorIndex, AColorIndex, 5});
  return Join({control, descriptor, data});
}

// An animated 2 x 2 GIF: frame 0 red, frame 1 blue, each shown ADelay
// centiseconds; the NETSCAPE2.0 extension carries the loop count (0: for
// ever) unless ALoopCount is negative.
inline TBytes AnimatedGif(int ALoopCount, unsigned ADelay = 10, int AFrameCount = 2)
{
  TBytes result = Join({Text("GIF89a"), LE16(2), LE16(2), {0x80, 0, 0}, {0xFF, 0, 0, 0, 0, 0xFF}});
  if (ALoopCount >= 0)
    result = Join({result, {0x21, 0xFF, 11}, Text("NETSCAPE2.0"), {3, 1}, LE16(static_cast<unsigned>(ALoopCount)),
                   {0}});
  for (int frame = 0; frame < AFrameCount; ++frame)
    result = Join({result, GifFrame(static_cast<unsigned>(frame % 2), ADelay)});
  return Join({result, {0x3B}});
}

}  // namespace dxImageTestBytes
