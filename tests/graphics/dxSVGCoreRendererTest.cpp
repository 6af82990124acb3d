#include "graphics/dxSVGCore.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// A transparent 32-bit surface that an SVG document is drawn on at its own
// size; pixels read back as $AARRGGBB without premultiplication.
class TSVGRenderSurface {
 public:
  TSVGRenderSurface(std::string_view AText, int ASize) : FSize(ASize)
  {
    rtl::TOwnedPtr<TdxXMLDocument> document(rtl::New<TdxXMLDocument>(nullptr));
    document->LoadFromString(AText);
    TdxSVGElementRoot* root = nullptr;
    EXPECT_TRUE(TdxSVGImporter::Import(document.get(), root));
    FRoot.reset(root);
    FBitmap = dxGpCreateBitmap(ASize, ASize);
    Gdiplus::GpGraphics* graphics = nullptr;
    dxGpCheck(dxGpFunctions.GdipGetImageGraphicsContext(FBitmap, &graphics));
    rtl::TOwnedPtr<TdxGPCanvas> canvas(
        rtl::NewWith<TdxGPCanvas>([&](TdxGPCanvas* ACanvas) { ACanvas->Create(graphics); }));
    canvas->Clear(vcl::clNone);
    rtl::TOwnedPtr<TdxSVGRenderer> renderer(rtl::New<TdxSVGRenderer>(canvas.get(), nullptr));
    if (FRoot)
      FRoot->Draw(renderer.get());
  }
  ~TSVGRenderSurface() { dxGpFunctions.GdipDisposeImage(FBitmap); }
  TSVGRenderSurface(const TSVGRenderSurface&) = delete;
  TSVGRenderSurface& operator=(const TSVGRenderSurface&) = delete;

  TdxAlphaColor Pixel(int X, int Y) const
  {
    Gdiplus::ARGB color = 0;
    dxGpCheck(dxGpFunctions.GdipBitmapGetPixel(FBitmap, X, Y, &color));
    return static_cast<TdxAlphaColor>(color);
  }
  // Painted pixels in columns AFrom .. ATo - 1.
  int PaintedIn(int AFrom, int ATo) const
  {
    int count = 0;
    for (int x = AFrom; x < ATo; ++x)
      for (int y = 0; y < FSize; ++y)
        count += (Pixel(x, y) >> 24) != 0 ? 1 : 0;
    return count;
  }
  // For looking at: KV_SVG_PNG_DIR names a folder to write the picture to.
  void SaveForReview(const wchar_t* AName) const
  {
    const char* folder = std::getenv("KV_SVG_PNG_DIR");
    if (!folder)
      return;
    static const CLSID pngEncoder = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    const std::wstring path = std::wstring(folder, folder + std::strlen(folder)) + L"\\" + AName + L".png";
    dxGpFunctions.GdipSaveImageToFile(FBitmap, path.c_str(), &pngEncoder, nullptr);
  }

 private:
  int FSize;
  rtl::TOwnedPtr<TdxSVGElementRoot> FRoot;
  Gdiplus::GpBitmap* FBitmap = nullptr;
};

bool SVGColorsNear(TdxAlphaColor A, TdxAlphaColor B, int ATolerance)
{
  for (int shift = 0; shift < 32; shift += 8)
    if (std::abs(static_cast<int>((A >> shift) & 0xFF) - static_cast<int>((B >> shift) & 0xFF)) > ATolerance)
      return false;
  return true;
}

struct TSVGSample {
  int X, Y;
  TdxAlphaColor Color;
};

class dxSVGRenderer : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dxGpIsAvailable()); }
};

TEST_F(dxSVGRenderer, SmallDocumentsPaintWhereTheyShould)
{
  const struct {
    const wchar_t* Name;
    const char* Body;
    std::vector<TSVGSample> Samples;
    int Tolerance;
  } cases[] = {
      {L"fill", R"X(<rect x="4" y="4" width="24" height="24" fill="#FF0000"/>)X",
       {{16, 16, 0xFFFF0000}, {2, 2, 0}}, 0},
      {L"default-fill", R"X(<circle cx="16" cy="16" r="8"/>)X", {{16, 16, 0xFF000000}, {1, 1, 0}}, 0},
      {L"stroke", R"X(<line x1="0" y1="16" x2="32" y2="16" stroke="#0000FF" stroke-width="4"/>)X",
       {{16, 16, 0xFF0000FF}, {16, 8, 0}}, 0},
      {L"stroke-scaled",
       R"X(<g transform="scale(2)"><line x1="0" y1="8" x2="16" y2="8" stroke="#0000FF" stroke-width="2"/></g>)X",
       {{16, 14, 0xFF0000FF}, {16, 19, 0}}, 0},
      {L"dashes",
       R"X(<line x1="0" y1="16" x2="32" y2="16" stroke="#000000" stroke-width="2" stroke-dasharray="4 4"/>)X",
       {{1, 16, 0xFF000000}, {6, 16, 0}, {9, 16, 0xFF000000}}, 0},
      // Opacities multiply down the tree: 0.5 x 0.5 of 255.
      {L"opacity", R"X(<g opacity="0.5"><rect width="32" height="32" fill="#FF0000" opacity="0.5"/></g>)X",
       {{16, 16, 0x3FFF0000}}, 2},
      {L"fill-opacity", R"X(<rect width="32" height="32" fill="#00FF00" fill-opacity="0.5"/>)X",
       {{16, 16, 0x8000FF00}}, 1},
      {L"gradient", R"X(<linearGradient id="g"><stop offset="0" stop-color="#FF0000"/>
         <stop offset="100%" stop-color="#0000FF"/></linearGradient>
         <rect width="32" height="32" fill="url(#g)"/>)X",
       {{0, 16, 0xFFFF0000}, {31, 16, 0xFF0000FF}}, 24},
      // Stops beyond the line's ends stop at its ends.
      {L"gradient-offsets", R"X(<linearGradient id="g"><stop offset="-50%" stop-color="#FF0000"/>
         <stop offset="150%" stop-color="#0000FF"/></linearGradient>
         <rect width="32" height="32" fill="url(#g)"/>)X",
       {{0, 16, 0xFFFF0000}, {31, 16, 0xFF0000FF}}, 24},
      {L"gradient-degenerate", R"X(<linearGradient id="g" x2="0"><stop offset="0" stop-color="#FF0000"/>
         <stop offset="1" stop-color="#0000FF"/></linearGradient>
         <rect width="32" height="32" fill="url(#g)"/>)X",
       {{16, 16, 0xFF0000FF}}, 0},
      {L"clip", R"X(<clipPath id="c"><circle cx="16" cy="16" r="8"/></clipPath>
         <rect width="32" height="32" fill="#FF0000" clip-path="url(#c)"/>)X",
       {{16, 16, 0xFFFF0000}, {2, 2, 0}, {16, 2, 0}}, 0},
      {L"clip-transformed", R"X(<clipPath id="c"><rect width="8" height="8" transform="translate(16 16)"/></clipPath>
         <rect width="32" height="32" fill="#FF0000" clip-path="url(#c)"/>)X",
       {{20, 20, 0xFFFF0000}, {4, 4, 0}, {28, 28, 0}}, 0},
      // A clip path whose content clips with itself adds its content once.
      {L"clip-cycle", R"X(<clipPath id="c"><rect width="16" height="16" clip-path="url(#c)"/></clipPath>
         <rect width="32" height="32" fill="#FF0000" clip-path="url(#c)"/>)X",
       {{4, 4, 0xFFFF0000}, {24, 24, 0}}, 0},
      {L"use", R"X(<defs><rect id="r" width="8" height="8"/><rect id="own" width="8" height="8" fill="#0000FF"/></defs>
         <use href="#r" x="16" y="16" fill="#00FF00"/><use xlink:href="#own" y="16" fill="#00FF00"/>)X",
       {{20, 20, 0xFF00FF00}, {4, 20, 0xFF0000FF}, {4, 4, 0}}, 0},
      // A use of its own ancestor draws the rest and stops.
      {L"use-cycle", R"X(<g id="g"><rect width="8" height="8" fill="#FF0000"/><use href="#g" x="16"/></g>)X",
       {{4, 4, 0xFFFF0000}, {20, 4, 0}}, 0},
      // A fill that leads back to itself stops; the brush keeps the paint
      // applied before it (the root's black).
      {L"fill-cycle", R"X(<rect id="r" width="32" height="32" fill="url(#r)"/>)X", {{16, 16, 0xFF000000}}, 0},
      {L"evenodd-inherited", R"X(<g fill-rule="evenodd"><path fill-rule="inherit"
         d="M0 0 H32 V32 H0 Z M8 8 H24 V24 H8 Z"/></g>)X",
       {{16, 16, 0}, {4, 4, 0xFF000000}}, 0},
      {L"nonzero", R"X(<path d="M0 0 H32 V32 H0 Z M8 8 H24 V24 H8 Z"/>)X", {{16, 16, 0xFF000000}}, 0},
      {L"arc", R"X(<path d="M4 16 A12 12 0 0 1 28 16 Z" fill="#FF0000"/>)X",
       {{16, 8, 0xFFFF0000}, {16, 24, 0}}, 0},
      {L"round-rect", R"X(<rect width="32" height="32" rx="8" ry="8" fill="#FF0000"/>)X",
       {{0, 0, 0}, {16, 16, 0xFFFF0000}}, 0},
      {L"polyline", R"X(<g fill="#00FF00"><polyline points="0,16 32,16" stroke-width="2"/></g>)X",
       {{16, 16, 0xFF00FF00}, {16, 4, 0}}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::wstring(c.Name));
    TSVGRenderSurface surface(std::string(R"X(<svg xmlns:xlink="x" viewBox="0 0 32 32">)X") + c.Body + "</svg>", 32);
    surface.SaveForReview(c.Name);
    for (const TSVGSample& sample : c.Samples) {
      const TdxAlphaColor color = surface.Pixel(sample.X, sample.Y);
      EXPECT_TRUE(SVGColorsNear(color, sample.Color, c.Tolerance))
          << "(" << sample.X << ", " << sample.Y << "): " << std::hex << color << " for " << sample.Color;
    }
  }
}

TEST_F(dxSVGRenderer, TextAnchorsPlaceTheTextAroundX)
{
  const struct {
    const char* Anchor;
    bool LeftPainted, RightPainted;
  } cases[] = {{"start", false, true}, {"middle", true, true}, {"end", true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Anchor);
    TSVGRenderSurface surface(std::string(R"X(<svg viewBox="0 0 64 64"><text x="32" y="40" font-family="sans-serif"
      font-size="20" text-anchor=")X") + c.Anchor + R"X(">WWW</text></svg>)X",
                              64);
    surface.SaveForReview((L"text-" + std::wstring(c.Anchor, c.Anchor + std::strlen(c.Anchor))).c_str());
    EXPECT_EQ(surface.PaintedIn(0, 30) > 0, c.LeftPainted);
    EXPECT_EQ(surface.PaintedIn(34, 64) > 0, c.RightPainted);
  }
}

TEST_F(dxSVGRenderer, TextInAnUnknownFamilyDrawsNothing)
{
  TSVGRenderSurface surface(
      R"X(<svg viewBox="0 0 64 64"><text x="2" y="40" font-family="No Such Family" font-size="20">WWW</text></svg>)X",
      64);
  EXPECT_EQ(surface.PaintedIn(0, 64), 0);
}

}  // namespace
