// What the skin tests share: textures made of solid frames, renderings into
// a 32-bit image with pixel probes, and package bytes written by hand.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "platform/rtl/ClassesStreams.h"
#include "skins/dxSkinsCore.h"

// Rectangles and sizes compared and printed in the skin tests.
inline bool operator==(const RECT& A, const RECT& B)
{
  return A.left == B.left && A.top == B.top && A.right == B.right && A.bottom == B.bottom;
}
inline bool operator==(const SIZE& A, const SIZE& B)
{
  return A.cx == B.cx && A.cy == B.cy;
}
inline void PrintTo(const RECT& R, std::ostream* AOut)
{
  *AOut << "(" << R.left << ", " << R.top << ", " << R.right << ", " << R.bottom << ")";
}
inline void PrintTo(const SIZE& S, std::ostream* AOut)
{
  *AOut << S.cx << " x " << S.cy;
}

namespace skinstest {

// $AARRGGBB, straight alpha.
constexpr std::uint32_t Red = 0xFFFF0000;
constexpr std::uint32_t Green = 0xFF00FF00;
constexpr std::uint32_t Blue = 0xFF0000FF;
constexpr std::uint32_t Black = 0xFF000000;
constexpr std::uint32_t White = 0xFFFFFFFF;

inline RGBQUAD Quad(std::uint32_t AColor)
{
  return {static_cast<BYTE>(AColor), static_cast<BYTE>(AColor >> 8), static_cast<BYTE>(AColor >> 16),
          static_cast<BYTE>(AColor >> 24)};
}

// A texture of AWidth x AHeight whose pixel (x, y) is APixel(x, y).
inline void LoadTexture(TdxSkinImage* AImage, int AWidth, int AHeight,
                        const std::function<std::uint32_t(int, int)>& APixel)
{
  TRGBColors bits(static_cast<std::size_t>(AWidth) * AHeight);
  for (int y = 0; y < AHeight; ++y)
    for (int x = 0; x < AWidth; ++x)
      bits[static_cast<std::size_t>(y) * AWidth + x] = Quad(APixel(x, y));
  AImage->GetTexture()->LoadFromBits(AWidth, AHeight, bits, true);
}

// A horizontal strip of solid frames of AFrame's size, one colour each.
inline void LoadFrames(TdxSkinImage* AImage, TSize AFrame, const std::vector<std::uint32_t>& AColors)
{
  LoadTexture(AImage, AFrame.cx * static_cast<int>(AColors.size()), AFrame.cy,
              [&](int x, int) { return AColors[static_cast<std::size_t>(x / AFrame.cx)]; });
}

// A rendering: an image of the size, transparent at first, drawn on through
// a canvas of the 2-D graphics library.
class TSkinsRendering {
 public:
  TSkinsRendering(int AWidth, int AHeight, const std::function<void(TdxGPCanvas*)>& APaint)
      : FImage(rtl::New<TdxSmartImage>()), FWidth(AWidth)
  {
    FImage->CreateSize(AWidth, AHeight, 0);
    {
      rtl::TOwnedPtr<TdxGPCanvas> canvas(FImage->CreateCanvas());
      APaint(canvas.get());
    }
    FBits = FImage->GetBitmapBits();
  }

  // $AARRGGBB as stored (premultiplied where translucent).
  std::uint32_t Pixel(int X, int Y) const
  {
    const RGBQUAD& q = FBits[static_cast<std::size_t>(Y) * FWidth + X];
    return std::uint32_t(q.rgbReserved) << 24 | std::uint32_t(q.rgbRed) << 16 | std::uint32_t(q.rgbGreen) << 8 |
           q.rgbBlue;
  }
  std::uint8_t Alpha(int X, int Y) const { return static_cast<std::uint8_t>(Pixel(X, Y) >> 24); }

  // Written for looking at when KV_SKINS_RENDER_DIR names a folder.
  void SaveForReview(const wchar_t* AName) const
  {
    const wchar_t* folder = _wgetenv(L"KV_SKINS_RENDER_DIR");
    if (!folder || !*folder)
      return;
    rtl::TOwnedPtr<rtl::TFileStream> file(
        rtl::New<rtl::TFileStream>(std::wstring(folder) + L"\\" + AName + L".png", rtl::fmCreate));
    FImage->SaveToStreamByCodec(file.get(), dxImagePng);
  }

 private:
  rtl::TOwnedPtr<TdxSmartImage> FImage;
  int FWidth;
  TRGBColors FBits;
};

// ---------------------------------------------------------------------------
// Package bytes, written field by field as the format lays them out.

using TSkinsBytes = std::vector<std::uint8_t>;

inline void Put(TSkinsBytes& B, const void* AData, std::size_t ASize)
{
  const auto* bytes = static_cast<const std::uint8_t*>(AData);
  B.insert(B.end(), bytes, bytes + ASize);
}

inline void PutByte(TSkinsBytes& B, std::uint8_t AValue)
{
  B.push_back(AValue);
}

inline void PutInt(TSkinsBytes& B, std::int32_t AValue)
{
  Put(B, &AValue, 4);
}

// Int32 length and UTF-8 bytes.
inline void PutStr(TSkinsBytes& B, const std::string& AUtf8)
{
  PutInt(B, static_cast<std::int32_t>(AUtf8.size()));
  Put(B, AUtf8.data(), AUtf8.size());
}

inline void PutHeader(TSkinsBytes& B, double AVersion)
{
  PutInt(B, 0);
  Put(B, "dxSkin", 6);
  Put(B, &AVersion, 8);
}

inline rtl::TOwnedPtr<rtl::TBytesStream> StreamOf(const TSkinsBytes& ABytes)
{
  return rtl::TOwnedPtr<rtl::TBytesStream>(rtl::New<rtl::TBytesStream>(rtl::TBytes(ABytes.begin(), ABytes.end())));
}

inline TSkinsBytes BytesOf(rtl::TStream* AStream)
{
  TSkinsBytes result(static_cast<std::size_t>(AStream->GetSize()));
  AStream->SetPosition(0);
  if (!result.empty())
    AStream->ReadBuffer(result.data(), static_cast<int>(result.size()));
  return result;
}

inline TSkinsBytes SavedBytes(TdxSkin* ASkin)
{
  rtl::TOwnedPtr<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
  ASkin->SaveToStream(stream.get());
  return BytesOf(stream.get());
}

inline rtl::TOwnedPtr<TdxSkin> NewSkin(const rtl::String& AName = L"Test")
{
  return rtl::TOwnedPtr<TdxSkin>(rtl::New<TdxSkin>(AName, false, HINSTANCE(nullptr)));
}

}  // namespace skinstest
