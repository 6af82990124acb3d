#include "graphics/dxCoreGraphics.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "platform/rtl/SysUtils.h"

namespace {

using namespace vcl;

TdxAlphaColor CurrentSysColor(int AIndex)
{
  const COLORREF color = GetSysColor(AIndex);
  return dxMakeAlphaColor(255, GetRValue(color), GetGValue(color), GetBValue(color));
}

// --------------------------------------------------------------------------
// Conversions and markers

TEST(dxCoreGraphicsConversions, ColorsBecomeAlphaColorsWithTheirMarkers)
{
  struct Case {
    TColor Color;
    std::uint8_t Alpha;
    TdxAlphaColor Expected;
  };
  const Case cases[] = {
      {clNone, 255, 0},
      {clNone, 0, 0},
      {clDefault, 255, 0x00010203},
      {clRed, 128, 0x80FF0000},
      {clWhite, 0, 0x00FFFFFF},
      {0x00563412, 255, 0xFF123456},
      {clBtnFace, 255, CurrentSysColor(COLOR_BTNFACE)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(dxColorToAlphaColor(c.Color, c.Alpha), c.Expected) << std::hex << c.Color;
    EXPECT_EQ(dxMakeAlphaColor(c.Color, c.Alpha), c.Expected) << std::hex << c.Color;
  }
  // Packing knows no markers: clNone is just a colour there.
  EXPECT_EQ(dxPackColorAndAlpha(clRed, 7), 0x07FF0000u);
}

TEST(dxCoreGraphicsConversions, AlphaColorsBecomeColorsAndAlpha)
{
  struct Case {
    TdxAlphaColor Color;
    TColor Expected;
    std::uint8_t Alpha;
  };
  const Case cases[] = {
      {0, clNone, 0},
      {0x00010203, clDefault, 0},
      {0x80FF0000, clRed, 128},
      {0x00FFFFFF, clWhite, 0},
      {0xFF123456, 0x00563412, 255},
  };
  for (const Case& c : cases) {
    std::uint8_t alpha = 99;
    EXPECT_EQ(dxAlphaColorToColorAndAlpha(c.Color, alpha), c.Expected) << std::hex << c.Color;
    EXPECT_EQ(alpha, c.Alpha) << std::hex << c.Color;
    EXPECT_EQ(dxAlphaColorToColor(c.Color), c.Expected) << std::hex << c.Color;
  }
}

TEST(dxCoreGraphicsConversions, BytesAlphaAndSwaps)
{
  EXPECT_EQ(dxMakeAlphaColor(0x80, 0x11, 0x22, 0x33), 0x80112233u);
  EXPECT_EQ(dxGetAlpha(0x80112233), 0x80);
  EXPECT_EQ(dxSwapRedAndBlue(0x80112233), 0x80332211u);
  const TdxAlphaColorBytes bytes = dxAlphaColorToBytes(0x80112233);
  EXPECT_EQ(bytes.B, 0x33);
  EXPECT_EQ(bytes.G, 0x22);
  EXPECT_EQ(bytes.R, 0x11);
  EXPECT_EQ(bytes.A, 0x80);
  // The memory layout is the one of a DIB pixel.
  const TdxAlphaColor color = 0x80112233;
  RGBQUAD pixel;
  std::memcpy(&pixel, &color, sizeof(pixel));
  EXPECT_EQ(pixel.rgbRed, 0x11);
  EXPECT_EQ(pixel.rgbReserved, 0x80);
}

TEST(dxCoreGraphicsConversions, OnlyZeroAndTransparentWhiteAreEmptyOrTransparent)
{
  const std::pair<TdxAlphaColor, bool> cases[] = {
      {0, true}, {0x00FFFFFF, true}, {0x00010203, false}, {0x00FF0000, false}, {0xFFFFFFFF, false}, {0x01FFFFFF, false},
  };
  for (const auto& [color, expected] : cases)
    EXPECT_EQ(dxIsEmptyOrTransparentAlphaColor(color), expected) << std::hex << color;
}

// --------------------------------------------------------------------------
// Colours as text

TEST(dxAlphaColorsText, ParsesHexNamesAndKeywords)
{
  const std::pair<const wchar_t*, TdxAlphaColor> cases[] = {
      {L"", 0},
      {L"#abc", 0xFFAABBCC},
      {L"#ABCDEF", 0xFFABCDEF},
      {L"#000000", 0xFF000000},
      {L"RED", 0xFFFF0000},
      {L"cornflowerblue", 0xFF6495ED},
      {L"Grey", 0xFF808080},
      {L"lightgrey", 0xFFD3D3D3},
      {L"LightGray", 0xFFD3D3D3},
      {L"nosuchcolor", 0},
      // Neither hex form: looked up as a name.
      {L"#12345", 0},
      {L"#", 0},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(TdxAlphaColors::FromText(text), expected) << text;
}

TEST(dxAlphaColorsText, KeywordsAndSystemRowsReadTheCurrentSystemColors)
{
  EXPECT_EQ(TdxAlphaColors::FromText(L"buttonface"), TdxAlphaColors::Control());
  EXPECT_EQ(TdxAlphaColors::Control(), CurrentSysColor(COLOR_BTNFACE));
  EXPECT_EQ(TdxAlphaColors::FromText(L"threedhighlight"), TdxAlphaColors::ControlLight());
  EXPECT_EQ(TdxAlphaColors::FromText(L"Window"), CurrentSysColor(COLOR_WINDOW));
  EXPECT_EQ(TdxAlphaColors::FromText(L"hottrack"), CurrentSysColor(COLOR_HOTLIGHT));
  EXPECT_EQ(TdxAlphaColors::FromText(L"ControlDarkDark"), CurrentSysColor(COLOR_3DDKSHADOW));
}

TEST(dxAlphaColorsText, MalformedHexRaisesConversionError)
{
  for (const wchar_t* text : {L"#zz0000", L"#12345g", L"#g00"})
    EXPECT_THROW(TdxAlphaColors::FromText(text), rtl::EConvertError) << text;
}

TEST(dxAlphaColorsText, FormatsNamesFirstThenHex)
{
  struct Case {
    TdxAlphaColor Color;
    bool UseNames;
    const wchar_t* Expected;
  };
  const Case cases[] = {
      {0, true, L""},
      {0, false, L""},
      {0xFF00FFFF, true, L"Aqua"},
      {0xFFFF00FF, true, L"Fuchsia"},
      {0xFF808080, true, L"Gray"},
      {0xFFD3D3D3, true, L"LightGrey"},
      {0x80FF0000, true, L"#FF0000"},
      {0xFF00FFFF, false, L"#00FFFF"},
      {0x12ABCDEF, false, L"#ABCDEF"},
      {0xFF0A0B0C, true, L"#0A0B0C"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TdxAlphaColors::ToText(c.Color, c.UseNames), c.Expected) << std::hex << c.Color;
}

TEST(dxAlphaColorsText, EveryNamedAndSystemColorSurvivesTheRoundTrip)
{
  const auto& named = TdxAlphaColors::NamedColors();
  ASSERT_EQ(named.size(), 141u);
  for (const auto& item : named) {
    EXPECT_EQ(TdxAlphaColors::FromText(item.Name), item.Color) << item.Name;
    EXPECT_EQ(TdxAlphaColors::FromText(TdxAlphaColors::ToText(item.Color)), item.Color) << item.Name;
  }
  const auto rows = TdxAlphaColors::SystemColorData();
  ASSERT_EQ(rows.size(), 33u);
  for (int row = 0; row < 33; ++row) {
    const TdxAlphaColor color = TdxAlphaColors::SystemColor(row);
    EXPECT_EQ(color, CurrentSysColor(rows[row].Index)) << rows[row].Name;
    EXPECT_EQ(TdxAlphaColors::FromText(rows[row].Name), color) << rows[row].Name;
    // Two keywords stand for either of two rows and read back the first.
    const rtl::String text = TdxAlphaColors::ToText(color);
    if (text == L"buttonface")
      EXPECT_TRUE(color == TdxAlphaColors::Control() || color == TdxAlphaColors::ControlLight());
    else if (text == L"activecaption")
      EXPECT_TRUE(color == TdxAlphaColors::ActiveCaption() || color == TdxAlphaColors::GradientActiveCaption());
    else
      EXPECT_EQ(TdxAlphaColors::FromText(text), color) << rows[row].Name << " " << text;
  }
}

TEST(dxAlphaColorsText, ListenerRefreshesOnSystemColorChange)
{
  // Changing a system colour here would change it for every process of the
  // Wine session, other test executables included; the message alone shows
  // that the listener answers it and leaves the tables on the current
  // values.
  HWND listener = TdxAlphaColors::Listener()->Handle();
  ASSERT_TRUE(IsWindow(listener));
  EXPECT_EQ(SendMessageW(listener, WM_SYSCOLORCHANGE, 0, 0), 0);
  EXPECT_EQ(TdxAlphaColors::FromText(L"window"), CurrentSysColor(COLOR_WINDOW));
  EXPECT_EQ(TdxAlphaColors::FromText(L"lightgrey"), 0xFFD3D3D3u);
}

// --------------------------------------------------------------------------
// Palettes

TEST(dxColorPalettes, SimplePaletteAnswersItsColorsWithAnIdOfItsOwn)
{
  rtl::IPtr<IdxColorPalette> first = rtl::New<TdxSimpleColorPalette>(0xFF112233u, 0x80445566u);
  rtl::IPtr<IdxColorPalette> second = rtl::New<TdxSimpleColorPalette>(0xFF112233u, 0x80445566u);
  EXPECT_EQ(first->GetFillColor(L"any"), 0xFF112233u);
  EXPECT_EQ(first->GetStrokeColor(L""), 0x80445566u);

  GUID id1, id2, none;
  dxGetColorPaletteID(first.Get(), id1);
  dxGetColorPaletteID(second.Get(), id2);
  dxGetColorPaletteID(nullptr, none);
  EXPECT_NE(id1, id2);
  EXPECT_NE(id1, GUID{});
  EXPECT_EQ(none, GUID{});
  // Fixed for the palette's lifetime.
  EXPECT_EQ(first->GetID(), id1);
}

// --------------------------------------------------------------------------
// Pixels

TEST(dxCoreGraphicsPixels, AlphaStateOfPixels)
{
  const auto pixels = [](std::initializer_list<BYTE> AAlphas) {
    TRGBColors result;
    for (BYTE alpha : AAlphas)
      result.push_back(RGBQUAD{1, 2, 3, alpha});
    return result;
  };
  const std::pair<TRGBColors, TdxAlphaState> cases[] = {
      {pixels({}), asNoAlpha},
      {pixels({0, 0, 0}), asNoAlpha},
      {pixels({255, 255}), asOpaque},
      {pixels({0, 255}), asSemitransparent},
      {pixels({255, 0, 255}), asSemitransparent},
      {pixels({255, 128}), asSemitransparent},
      {pixels({1}), asSemitransparent},
  };
  for (const auto& [colors, expected] : cases)
    EXPECT_EQ(dxGetPixelsAlphaState(colors), expected) << colors.size();
}

TEST(dxCoreGraphicsPixels, FillPremultipliedKeepsAlphaAndScalesTheColor)
{
  RGBQUAD pixels[] = {{9, 9, 9, 0}, {9, 9, 9, 255}, {9, 9, 9, 128}};
  dxFillPixelsPremultiplied(pixels, 3, 0x00804020);  // red $20, green $40, blue $80
  EXPECT_EQ((std::array{pixels[0].rgbRed, pixels[0].rgbGreen, pixels[0].rgbBlue, pixels[0].rgbReserved}),
            (std::array<BYTE, 4>{0, 0, 0, 0}));
  EXPECT_EQ((std::array{pixels[1].rgbRed, pixels[1].rgbGreen, pixels[1].rgbBlue, pixels[1].rgbReserved}),
            (std::array<BYTE, 4>{0x20, 0x40, 0x80, 255}));
  EXPECT_EQ((std::array{pixels[2].rgbRed, pixels[2].rgbGreen, pixels[2].rgbBlue, pixels[2].rgbReserved}),
            (std::array<BYTE, 4>{16, 32, 64, 128}));
}

TEST(dxCoreGraphicsPixels, HeaderAndObjectRecords)
{
  BITMAPINFOHEADER header;
  std::memset(&header, 0xCC, sizeof(header));
  dxInitBitmapInfoHeader32(header, 7, 5, true);
  EXPECT_EQ(header.biSize, 40u);
  EXPECT_EQ(header.biWidth, 7);
  EXPECT_EQ(header.biHeight, -5);
  EXPECT_EQ(header.biBitCount, 32);
  EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
  EXPECT_EQ(header.biSizeImage, 0u);
  dxInitBitmapInfoHeader32(header, 7, 5, false);
  EXPECT_EQ(header.biHeight, 5);

  HBITMAP bitmap = CreateBitmap(3, 2, 1, 32, nullptr);
  BITMAP data{};
  EXPECT_TRUE(dxGetBitmapData(bitmap, data));
  EXPECT_EQ(data.bmWidth, 3);
  DeleteObject(bitmap);
  LOGBRUSH brush{};
  HBRUSH solid = CreateSolidBrush(0x123456);
  EXPECT_TRUE(dxGetBrushData(solid, brush));
  EXPECT_EQ(brush.lbColor, 0x123456u);
  DeleteObject(solid);
  LOGFONTW font{};
  EXPECT_TRUE(dxGetFontData(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), font));
  EXPECT_FALSE(dxGetBitmapData(nullptr, data));
}

// --------------------------------------------------------------------------
// Device-context text and clip helpers

class dxCoreGraphicsDC : public testing::Test {
 protected:
  void SetUp() override { FDC = CreateCompatibleDC(nullptr); }
  void TearDown() override { DeleteDC(FDC); }
  HDC FDC;
};

TEST_F(dxCoreGraphicsDC, ClipRegionSaveAndRestore)
{
  HRGN saved;
  dxSaveClipRegion(FDC, saved);
  EXPECT_EQ(saved, nullptr);

  HRGN clip = CreateRectRgn(1, 2, 3, 4);
  SelectClipRgn(FDC, clip);
  DeleteObject(clip);
  dxSaveClipRegion(FDC, saved);
  ASSERT_NE(saved, nullptr);
  SelectClipRgn(FDC, nullptr);
  dxRestoreClipRegion(FDC, saved);
  // The clip box would be cut to the DC's one-pixel bitmap; the region is
  // what was restored.
  HRGN restored = CreateRectRgn(0, 0, 0, 0);
  ASSERT_EQ(GetClipRgn(FDC, restored), 1);
  RECT box;
  GetRgnBox(restored, &box);
  DeleteObject(restored);
  EXPECT_EQ(box.left, 1);
  EXPECT_EQ(box.bottom, 4);
  dxRestoreClipRegion(FDC, nullptr);
  HRGN none;
  dxSaveClipRegion(FDC, none);
  EXPECT_EQ(none, nullptr);
}

TEST_F(dxCoreGraphicsDC, CharacterRectsFollowEachOtherOnOneLine)
{
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const HGDIOBJ before = GetCurrentObject(FDC, OBJ_FONT);
  const RECT bounds{10, 5, 500, 25};
  for (bool reorder : {false, true}) {
    std::vector<RECT> rects;
    dxGetCharacterRects(FDC, L"Wide", 4, rects, reorder, font, bounds);
    ASSERT_EQ(rects.size(), 4u) << reorder;
    int x = bounds.left;
    for (const RECT& R : rects) {
      EXPECT_EQ(R.left, x);
      EXPECT_GT(R.right, R.left);
      EXPECT_EQ(R.top, 5);
      EXPECT_EQ(R.bottom, 25);
      x = R.right;
    }
  }
  EXPECT_EQ(GetCurrentObject(FDC, OBJ_FONT), before);
  std::vector<RECT> none{RECT{}};
  dxGetCharacterRects(FDC, L"", 0, none, false, font, bounds);
  EXPECT_TRUE(none.empty());
}

TEST_F(dxCoreGraphicsDC, CharacterRangeRegionCoversTheRange)
{
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const RECT bounds{0, 0, 500, 20};
  std::vector<RECT> rects;
  dxGetCharacterRects(FDC, L"abcd", 4, rects, false, font, bounds);
  ASSERT_EQ(rects.size(), 4u);

  struct Case {
    int Length;
    int Start;
    int ExpectedLeft;
    int ExpectedRight;  // 0: no region
  };
  const Case cases[] = {
      {2, 1, rects[1].left, rects[2].right},
      {10, 2, rects[2].left, rects[3].right},
      {0, 1, 0, 0},
      {1, 5, 0, 0},
  };
  for (const Case& c : cases) {
    HRGN region = dxGetCharacterRangeRegion(FDC, L"abcd", 4, false, font, c.Length, c.Start, bounds);
    if (c.ExpectedRight == 0) {
      EXPECT_EQ(region, nullptr) << c.Start;
      continue;
    }
    ASSERT_NE(region, nullptr) << c.Start;
    RECT box;
    GetRgnBox(region, &box);
    EXPECT_EQ(box.left, c.ExpectedLeft) << c.Start;
    EXPECT_EQ(box.right, c.ExpectedRight) << c.Start;
    DeleteObject(region);
  }
}

}  // namespace
