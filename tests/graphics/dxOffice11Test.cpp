// The Office11 palette and its glyph routines. The visual-styles library's
// is-active and theme-name functions are replaced by fakes, and theme changes
// reach the palette as Windows delivers them (to the thread's top-level
// windows), so the scheme follows an injected theme name whatever this
// system's own style is. The glyphs are drawn on 32-bit memory DIBs and
// probed pixel by pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "core/cxGeometry.h"
#include "core/dxCore.h"
#include "core/dxThemeManager.h"
#include "core/dxUxTheme.h"
#include "graphics/cxGraphicsColors.h"
#include "graphics/dxOffice11.h"

using vcl::TColor;

namespace {

// What the fakes answer; plain data, set by each case.
bool FakeThemeActive;
const wchar_t* FakeThemeFile;
const wchar_t* FakeThemeColor;
HRESULT FakeThemeResult;

BOOL WINAPI FakeOffice11IsThemeActive()
{
  return FakeThemeActive;
}

HRESULT WINAPI FakeOffice11ThemeName(LPWSTR AFileName, int AMaxFile, LPWSTR AColor, int AMaxColor, LPWSTR ASize,
                                     int AMaxSize)
{
  lstrcpynW(AFileName, FakeThemeFile, AMaxFile);
  lstrcpynW(AColor, FakeThemeColor, AMaxColor);
  lstrcpynW(ASize, L"NormalSize", AMaxSize);
  return FakeThemeResult;
}

BOOL CALLBACK SendOffice11Message(HWND AWnd, LPARAM AMsg)
{
  SendMessageW(AWnd, static_cast<UINT>(AMsg), 0, 0);
  return TRUE;
}

constexpr const wchar_t* LunaFile = L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles";
constexpr const wchar_t* RoyaleFile = L"C:\\WINDOWS\\Resources\\Themes\\Royale\\Royale.msstyles";
constexpr const wchar_t* AeroFile = L"C:\\Windows\\Resources\\Themes\\Aero\\aero.msstyles";

// 0xRRGGBB as a colour.
constexpr TColor Rgb(std::uint32_t ARRGGBB)
{
  return static_cast<TColor>(RGB((ARRGGBB >> 16) & 0xFF, (ARRGGBB >> 8) & 0xFF, ARRGGBB & 0xFF));
}

TColor Sys(TColor AColor)
{
  return vcl::ColorToRGB(AColor);
}

class dxOffice11Palette : public testing::Test {
 protected:
  void SetUp() override
  {
    ASSERT_TRUE(dxUxThemeLibraryLoaded());
    FSaved = dxUxThemeFunctions;
    FSavedVista = dxOSIsWindowsVistaOrLater;
    dxUxThemeFunctions.IsThemeActive = &FakeOffice11IsThemeActive;
    dxUxThemeFunctions.GetCurrentThemeName = &FakeOffice11ThemeName;
    dxOSIsWindowsVistaOrLater = true;
  }

  void TearDown() override
  {
    while (dxOffice11ColorsRefCount() > 0)
      dxOffice11ReleaseColors();
    dxUxThemeFunctions = FSaved;
    dxOSIsWindowsVistaOrLater = FSavedVista;
    NotifyThemeChanged();
  }

  // As Windows does after a style or colour switch.
  static void NotifyThemeChanged()
  {
    EnumThreadWindows(GetCurrentThreadId(), &SendOffice11Message, WM_THEMECHANGED);
  }

  static void ApplyTheme(bool AActive, const wchar_t* AFile, const wchar_t* AColor, HRESULT AResult = S_OK)
  {
    FakeThemeActive = AActive;
    FakeThemeFile = AFile;
    FakeThemeColor = AColor;
    FakeThemeResult = AResult;
    NotifyThemeChanged();
  }

  static void ApplyScheme(int AScheme)
  {
    constexpr const wchar_t* colors[] = {L"NormalColor", L"HomeStead", L"Metallic"};
    ApplyTheme(true, LunaFile, colors[AScheme - 1]);
  }

  static void ApplyClassic() { ApplyTheme(false, L"", L""); }

 private:
  TdxUxThemeFunctions FSaved;
  bool FSavedVista;
};

// ---------------------------------------------------------------------------
// Scheme detection

TEST_F(dxOffice11Palette, SchemeFollowsTheStyleAndItsColourName)
{
  struct TCase {
    const char* Name;
    bool Active;
    const wchar_t* File;
    const wchar_t* Color;
    HRESULT Result;
    bool Vista;
    int Scheme;
  };
  const TCase cases[] = {
      {"blue", true, LunaFile, L"NormalColor", S_OK, true, 1},
      {"olive, any case", true, LunaFile, L"homestead", S_OK, true, 2},
      {"silver", true, LunaFile, L"METALLIC", S_OK, true, 3},
      {"unknown colour", true, LunaFile, L"Energy", S_OK, true, 0},
      {"other style from Vista on", true, AeroFile, L"NormalColor", S_OK, true, 1},
      {"Luna before Vista", true, LunaFile, L"Metallic", S_OK, false, 3},
      {"other style before Vista", true, RoyaleFile, L"NormalColor", S_OK, false, 0},
      {"no theme name", true, LunaFile, L"NormalColor", E_FAIL, true, 0},
      {"themes off", false, LunaFile, L"NormalColor", S_OK, true, 0},
  };
  for (const TCase& c : cases) {
    dxOSIsWindowsVistaOrLater = c.Vista;
    ApplyTheme(c.Active, c.File, c.Color, c.Result);
    dxOffice11ComputeColors();
    EXPECT_EQ(dxOffice11CurrentScheme(), c.Scheme) << c.Name;
    EXPECT_EQ(dxOffice11UsesSchemeColors(), c.Scheme != 0) << c.Name;
  }
}

// ---------------------------------------------------------------------------
// Colours

TEST_F(dxOffice11Palette, SchemeColoursComeFromTheTable)
{
  // Entry, then blue, olive and silver.
  struct TRow {
    int Entry;
    std::uint32_t Values[3];
  };
  const TRow rows[] = {
      {0, {0x9EBEF5, 0xD9D9A7, 0xD7D7E5}},  {1, {0xC3DAF9, 0xF2F0E4, 0xF3F3F7}},
      {2, {0xDDECFE, 0xF4F7DE, 0xF3F4FA}},  {3, {0x81A9E2, 0xB7C691, 0x9997B5}},
      {4, {0x75A6F1, 0xB0C28C, 0xB3B2C8}},  {5, {0xFFF8D3, 0xFFF8D3, 0xFFF8D3}},
      {6, {0xFE9552, 0xFE9552, 0xFE9552}},  {7, {0x003591, 0x60776B, 0x767492}},
      {8, {0xFFC176, 0xFFC176, 0xFFC176}},  {9, {0xFFDD98, 0xFFDD98, 0xFFDD98}},
      {10, {0x3B619C, 0x608058, 0x7C7C94}}, {11, {0x7BA4E0, 0xB5C48F, 0x9391B0}},
      {18, {0x274176, 0x515E33, 0x545475}}, {19, {0xFFFFFF, 0xFFFFFF, 0xFFFFFF}},
      {20, {0x6A8CCB, 0x608058, 0x6E6D8F}}, {21, {0xF1F9FF, 0xF4F7DE, 0xFFFFFF}},
      {22, {0x000000, 0x000000, 0x000000}}, {23, {0xFFFFFF, 0xFFFFFF, 0xFFFFFF}},
      {24, {0x2A66C9, 0x74865E, 0x7A7999}}, {25, {0xC4DBF9, 0xE1DEAD, 0xDBDAE4}},
      {28, {0xFFFFFF, 0xFFFFFF, 0xFFFFFF}}, {29, {0x000000, 0x000000, 0x000000}},
      {30, {0x000000, 0x000000, 0x000000}}, {31, {0xF6F6F6, 0xF4F4EE, 0xFDFAFF}},
      {38, {0x002D96, 0x758D5E, 0x7C7C94}}, {40, {0xFFEEC2, 0xFFEEC2, 0xFFEEC2}},
      {41, {0x000080, 0x3F5D38, 0x4B4B6F}}, {42, {0xFFF4CC, 0xFFF4CC, 0xFFF4CC}},
      {43, {0xFFD091, 0xFFD091, 0xFFD091}}, {44, {0xFFD38E, 0xFFD38E, 0xFFD38E}},
      {45, {0xFE914E, 0xFE914E, 0xFE914E}}, {46, {0xCBE1FC, 0xD8E3B6, 0xD6D3E7}},
      {47, {0xFFC06F, 0xFFC06F, 0xFFC06F}}, {48, {0xFE803E, 0xFE803E, 0xFE803E}},
      {49, {0xA9C7F0, 0xC5D49F, 0xC0C0D3}}, {51, {0x000000, 0x000000, 0x000000}},
      {52, {0x8D8D8D, 0x8D8D8D, 0x8D8D8D}}, {58, {0xBEDAFB, 0xAFBA91, 0xE5E5EB}},
      {59, {0xFBE694, 0xFBE694, 0xFBE694}}, {60, {0x002D96, 0x608058, 0x7C7C94}},
      {61, {0xC4DAFA, 0xF2F1E4, 0xF3F3F7}}, {62, {0xFDEEC9, 0xFDEEC9, 0xFDEEC9}},
      {63, {0x3768B9, 0x738954, 0x706F91}}, {64, {0x7BA4E0, 0xB5C48F, 0x9391B0}},
      {65, {0x002D96, 0x758D5E, 0x7C7C94}}, {66, {0xD3E5FB, 0xF2F5DB, 0xF0F1F8}},
      {67, {0x88AEE4, 0xBCC997, 0xA09EBA}}, {68, {0xFFFFDC, 0xFFFFDC, 0xFFFFDC}},
      {69, {0xF7C05B, 0xF7C05B, 0xF7C05B}}, {70, {0xFBE694, 0xFBE694, 0xFBE694}},
      {71, {0xEE9515, 0xEE9515, 0xEE9515}}, {72, {0xE87F08, 0xE87F08, 0xE87F08}},
      {73, {0xF7DA7C, 0xF7DA7C, 0xF7DA7C}}, {74, {0x5987D6, 0xAFC082, 0xA8A7BF}},
      {75, {0x033893, 0x637A44, 0x706F91}}, {76, {0xFFFFFF, 0xFFFFFF, 0xFFFFFF}},
      {77, {0x5987D6, 0xAFC082, 0xA8A7BF}}, {78, {0x033893, 0x637A44, 0x706F91}},
  };
  const int weights[] = {41, 125, 40};
  for (int scheme = 1; scheme <= 3; ++scheme) {
    ApplyScheme(scheme);
    dxOffice11ComputeColors();
    ASSERT_EQ(dxOffice11CurrentScheme(), scheme);
    for (const TRow& row : rows)
      EXPECT_EQ(dxOffice11Colors[row.Entry], Rgb(row.Values[scheme - 1]))
          << "scheme " << scheme << ", entry " << row.Entry;
    EXPECT_EQ(dxOffice11GradientWeight, weights[scheme - 1]) << scheme;
    // The mixes of the themed branch.
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(dxOffice11MarkCornerColors[i], cxBlendColors(dxOffice11MarkColors1[i], dxOffice11BarColor1, 90))
          << "scheme " << scheme << ", corner " << i;
  }
}

TEST_F(dxOffice11Palette, WithoutSchemeColoursComeFromTheSystem)
{
  ApplyClassic();
  dxOffice11ComputeColors();
  EXPECT_EQ(dxOffice11CurrentScheme(), 0);
  EXPECT_FALSE(dxOffice11UsesSchemeColors());
  const TColor face = vcl::clBtnFace;
  const TColor window = vcl::clWindow;
  const TColor shadow = vcl::clBtnShadow;
  const TColor selected = cxGetNearestColor(cxBlendSystemColors(-2, 30, 72));
  const TColor pressed = cxGetNearestColor(cxBlendSystemColors(14, 44, 40));
  const TColor down = cxBlendSystemColors(41, 11, 48);
  const TColor border = cxGetNearestColor(shadow);
  const struct {
    int Entry;
    TColor Expected;
  } cases[] = {
      {0, Sys(face)},
      {1, cxBlendColors(face, window, 20)},
      {2, cxBlendColors(face, window, 22)},
      {3, cxBlendColors(face, window, 96)},
      {4, cxBlendColors(shadow, window, 74)},
      {5, cxGetNearestColor(cxBlendSystemColors(-15, 29, 86))},
      {6, cxGetNearestColor(cxBlendSystemColors(42, 11, 47))},
      {7, Sys(shadow)},
      {10, cxBlendColors(face, window, 85)},
      {11, Sys(face)},
      {12, cxBlendColors(Sys(shadow), window, 50)},
      {18, cxBlendColors(shadow, window, 76)},
      {19, Sys(window)},
      {20, cxBlendColors(shadow, window, 70)},
      {21, vcl::clWhite},
      {22, Sys(vcl::clBtnText)},
      {23, Sys(window)},
      {24, Sys(shadow)},
      {25, cxBlendColors(face, window, 96)},
      {28, Sys(vcl::clBtnHighlight)},
      {29, Sys(vcl::clBtnText)},
      {31, Sys(window)},
      {38, Sys(shadow)},
      {40, selected},
      {41, Sys(vcl::clHighlight)},
      {42, selected},
      {43, selected},
      {44, pressed},
      {45, pressed},
      {46, cxBlendColors(face, window, 96)},
      {47, down},
      {48, pressed},
      {49, cxBlendColors(face, window, 96)},
      {51, Sys(vcl::clBtnText)},
      {52, Sys(vcl::clGrayText)},
      {58, Sys(face)},
      {59, down},
      {61, Sys(face)},
      {62, Sys(face)},
      {63, Sys(shadow)},
      {64, Sys(shadow)},
      {65, border},
      {68, selected},
      {70, down},
      {72, pressed},
      {74, border},
      {76, Sys(vcl::clHighlightText)},
      {77, cxGetNearestColor(face)},
      {78, border},
  };
  for (const auto& c : cases)
    EXPECT_EQ(dxOffice11Colors[c.Entry], c.Expected) << "entry " << c.Entry;
  EXPECT_EQ(dxOffice11GradientWeight, 75);
}

TEST_F(dxOffice11Palette, GroupCaptionColoursLightenAndDarkenTheFace)
{
  ApplyClassic();
  dxOffice11ComputeColors();
  const TColor face = Sys(vcl::clBtnFace);
  auto channels = [](TColor C) { return std::vector<int>{GetRValue(C), GetGValue(C), GetBValue(C)}; };
  std::vector<int> light;
  std::vector<int> dark;
  for (int v : channels(face)) {
    light.push_back(v * 127 / 255 + 128);
    dark.push_back(v - v * 4 / 255 + 4);
  }
  EXPECT_EQ(dxOffice11NavPaneGroupCaptionColor1, cxGetNearestColor(RGB(light[0], light[1], light[2])));
  EXPECT_EQ(dxOffice11NavPaneGroupCaptionColor2, cxGetNearestColor(RGB(dark[0], dark[1], dark[2])));
}

// The entries copied or mixed after either branch.
TEST_F(dxOffice11Palette, DerivedEntriesFollowTheirSourcesInBothBranches)
{
  const struct {
    int Entry;
    int Source;
  } copies[] = {{26, 2},  {27, 24}, {32, 2},  {33, 3},  {34, 2},  {35, 3},  {39, 31}, {50, 40},
                {53, 38}, {54, 0},  {55, 15}, {56, 28}, {57, 38}};
  for (int scheme : {0, 1}) {
    if (scheme == 0)
      ApplyClassic();
    else
      ApplyScheme(scheme);
    dxOffice11ComputeColors();
    for (const auto& c : copies)
      EXPECT_EQ(dxOffice11Colors[c.Entry], dxOffice11Colors[c.Source])
          << "scheme " << scheme << ", entry " << c.Entry;
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(dxOffice11MarkEdgeColors[i], cxBlendColors(dxOffice11MarkColors2[i], dxOffice11BarEdgeColors[1], 50))
          << "scheme " << scheme << ", edge " << i;
    EXPECT_EQ(dxOffice11NonRecentBandColor1, cxBlendColors(dxOffice11BarColor1, vcl::clBlack, 92)) << scheme;
    EXPECT_EQ(dxOffice11NonRecentBandColor2, cxBlendColors(dxOffice11BarColor2, vcl::clBlack, 92)) << scheme;
  }
  // The painters' names reach the same entries.
  EXPECT_EQ(&dxOffice11FaceColor, &dxOffice11Colors[0]);
  EXPECT_EQ(&dxOffice11DownedColor, &dxOffice11Colors[44]);
  EXPECT_EQ(&dxOffice11DownedSelectedColor, &dxOffice11Colors[47]);
  EXPECT_EQ(&dxOffice11TextDisabledColor, &dxOffice11Colors[52]);
}

// ---------------------------------------------------------------------------
// References, brushes and theme changes

COLORREF Office11BrushColor(HBRUSH ABrush)
{
  LOGBRUSH info{};
  EXPECT_EQ(GetObjectW(ABrush, sizeof(info), &info), static_cast<int>(sizeof(info)));
  return info.lbColor;
}

TEST_F(dxOffice11Palette, BrushesLiveFromTheFirstReferenceToTheLastRelease)
{
  ApplyScheme(dxOffice11SchemeBlue);
  EXPECT_EQ(dxOffice11ColorsRefCount(), 0);
  EXPECT_EQ(dxOffice11MenuBrush, nullptr);
  dxOffice11AddColorsRef();
  dxOffice11AddColorsRef();
  const int entries[dxOffice11BrushCount] = {18, 19, 20, 21, 38, 31, 41, 46, 47, 48, 49, 40, 55};
  std::vector<HBRUSH> brushes(std::begin(dxOffice11Brushes), std::end(dxOffice11Brushes));
  for (int i = 0; i < dxOffice11BrushCount; ++i) {
    ASSERT_EQ(GetObjectType(brushes[i]), static_cast<DWORD>(OBJ_BRUSH)) << i;
    EXPECT_EQ(Office11BrushColor(brushes[i]), static_cast<COLORREF>(dxOffice11Colors[entries[i]])) << i;
  }
  EXPECT_EQ(dxOffice11StaticBorderBrush, dxOffice11BorderBrush);
  EXPECT_EQ(dxOffice11OwnerLinkBrush, dxOffice11MenuBrush);
  EXPECT_EQ(dxOffice11DetachedSubMenuBrush, dxOffice11SelectedBrush);

  dxOffice11ReleaseColors();
  for (HBRUSH brush : brushes)
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
  ASSERT_NE(dxOffice11SubMenuExpandBitmap, nullptr);

  dxOffice11ReleaseColors();
  for (int i = 0; i < dxOffice11BrushCount; ++i) {
    EXPECT_EQ(dxOffice11Brushes[i], nullptr) << i;
    EXPECT_EQ(GetObjectType(brushes[i]), 0u) << i;
  }
  EXPECT_EQ(dxOffice11SubMenuExpandBitmap, nullptr);
  EXPECT_EQ(dxOffice11ExpandButtonPlusBitmap, nullptr);
  // One release too many changes nothing.
  dxOffice11ReleaseColors();
  EXPECT_EQ(dxOffice11ColorsRefCount(), 0);
}

TEST_F(dxOffice11Palette, AThemeChangeWhileReferencedRecomputesColoursAndBrushes)
{
  ApplyScheme(dxOffice11SchemeBlue);
  dxOffice11AddColorsRef();
  EXPECT_EQ(dxOffice11FaceColor, Rgb(0x9EBEF5));
  EXPECT_EQ(Office11BrushColor(dxOffice11HighlightBrush), static_cast<COLORREF>(Rgb(0x000080)));

  ApplyScheme(dxOffice11SchemeOlive);
  EXPECT_EQ(dxOffice11CurrentScheme(), dxOffice11SchemeOlive);
  EXPECT_EQ(dxOffice11FaceColor, Rgb(0xD9D9A7));
  EXPECT_EQ(Office11BrushColor(dxOffice11HighlightBrush), static_cast<COLORREF>(Rgb(0x3F5D38)));

  // Switching to the classic look derives the palette from the system.
  ApplyClassic();
  EXPECT_FALSE(dxOffice11UsesSchemeColors());
  EXPECT_EQ(dxOffice11FaceColor, Sys(vcl::clBtnFace));
  EXPECT_EQ(Office11BrushColor(dxOffice11HighlightBrush), static_cast<COLORREF>(Sys(vcl::clHighlight)));
  EXPECT_EQ(dxOffice11GradientWeight, 75);
}

TEST_F(dxOffice11Palette, ColoursOutliveTheLastReleaseAndTheNextReferenceRecomputes)
{
  ApplyScheme(dxOffice11SchemeSilver);
  dxOffice11AddColorsRef();
  dxOffice11ReleaseColors();
  // Nobody listens now: the colours keep the silver values.
  ApplyClassic();
  EXPECT_EQ(dxOffice11FaceColor, Rgb(0xD7D7E5));
  dxOffice11AddColorsRef();
  EXPECT_EQ(dxOffice11FaceColor, Sys(vcl::clBtnFace));
}

TEST_F(dxOffice11Palette, RefreshWithoutReferenceMakesNoBrushes)
{
  ApplyScheme(dxOffice11SchemeBlue);
  dxOffice11RefreshColors();
  EXPECT_EQ(dxOffice11CurrentScheme(), dxOffice11SchemeBlue);
  EXPECT_EQ(dxOffice11SeparatorBrush, nullptr);
  EXPECT_EQ(dxOffice11SubMenuExpandBitmap, nullptr);
}

TEST_F(dxOffice11Palette, FinishingTheUnitFreesWhatHoldersNeverReleased)
{
  dxOffice11AddColorsRef();
  const HBRUSH brush = dxOffice11MenuBrush;
  unit_dxOffice11.finalization();
  EXPECT_EQ(dxOffice11ColorsRefCount(), 0);
  EXPECT_EQ(dxOffice11MenuBrush, nullptr);
  EXPECT_EQ(GetObjectType(brush), 0u);
  EXPECT_EQ(dxOffice11SubMenuExpandBitmap, nullptr);
  // No listener is left behind: a theme change now finds nothing to remake.
  ApplyScheme(dxOffice11SchemeBlue);
  EXPECT_EQ(dxOffice11MenuBrush, nullptr);
}

// ---------------------------------------------------------------------------
// Bitmaps

TColor BitmapPixel(vcl::TBitmap* ABitmap, int X, int Y)
{
  return static_cast<TColor>(GetPixel(ABitmap->GetCanvas()->GetHandle(), X, Y));
}

TEST_F(dxOffice11Palette, ExpandMarkTakesTheBarGradientAndKeepsBlackAndBackground)
{
  ApplyScheme(dxOffice11SchemeBlue);
  dxOffice11AddColorsRef();
  vcl::TBitmap* mark = dxOffice11SubMenuExpandBitmap;
  ASSERT_FALSE(mark->GetEmpty());
  EXPECT_EQ(mark->GetWidth(), 11);
  EXPECT_EQ(mark->GetHeight(), 11);
  EXPECT_EQ(BitmapPixel(mark, 0, 0), Rgb(0xFF00FF));
  // The chevrons.
  EXPECT_EQ(BitmapPixel(mark, 3, 2), vcl::clBlack);
  EXPECT_EQ(BitmapPixel(mark, 5, 7), vcl::clBlack);
  // The lightest shade of the disc (its top row) becomes the light end, the
  // darkest (its bottom row) the dark end.
  EXPECT_EQ(BitmapPixel(mark, 5, 0), cxBlendColors(dxOffice11BarColor1, dxOffice11BarColor2, 100));
  EXPECT_EQ(BitmapPixel(mark, 5, 10), cxBlendColors(dxOffice11BarColor1, dxOffice11BarColor2, 0));

  for (vcl::TBitmap* button : {dxOffice11ExpandButtonMinusBitmap, dxOffice11ExpandButtonPlusBitmap}) {
    EXPECT_EQ(button->GetWidth(), 11);
    EXPECT_EQ(button->GetHeight(), 11);
  }
  EXPECT_EQ(BitmapPixel(dxOffice11ExpandButtonPlusBitmap, 5, 3), vcl::clBlack);
  EXPECT_NE(BitmapPixel(dxOffice11ExpandButtonMinusBitmap, 5, 3), vcl::clBlack);
}

// ---------------------------------------------------------------------------
// Drawing

// A white 32-bit top-down DIB selected into a memory DC.
class TdxOffice11TestDib {
 public:
  TdxOffice11TestDib(int AWidth, int AHeight) : FWidth(AWidth)
  {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = AWidth;
    info.bmiHeader.biHeight = -AHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    FDC = CreateCompatibleDC(nullptr);
    FBitmap = CreateDIBSection(FDC, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&FBits), nullptr, 0);
    FOld = SelectObject(FDC, FBitmap);
    std::fill(FBits, FBits + AWidth * AHeight, 0xFFFFFFu);
  }
  ~TdxOffice11TestDib()
  {
    SelectObject(FDC, FOld);
    DeleteObject(FBitmap);
    DeleteDC(FDC);
  }
  TdxOffice11TestDib(const TdxOffice11TestDib&) = delete;
  TdxOffice11TestDib& operator=(const TdxOffice11TestDib&) = delete;

  HDC DC() const { return FDC; }
  TColor Pixel(int X, int Y) const
  {
    GdiFlush();
    const std::uint32_t p = FBits[Y * FWidth + X];
    return static_cast<TColor>(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
  }
  // The columns (or rows) of line ALine that show AColor.
  std::vector<int> Find(TColor AColor, int ALine, int ACount, bool AAlongY = false) const
  {
    std::vector<int> result;
    for (int i = 0; i < ACount; ++i)
      if ((AAlongY ? Pixel(ALine, i) : Pixel(i, ALine)) == AColor)
        result.push_back(i);
    return result;
  }

 private:
  int FWidth;
  HDC FDC;
  HBITMAP FBitmap;
  HGDIOBJ FOld;
  std::uint32_t* FBits;
};

class dxOffice11Glyphs : public dxOffice11Palette {
 protected:
  void SetUp() override
  {
    dxOffice11Palette::SetUp();
    ApplyScheme(dxOffice11SchemeBlue);
    dxOffice11AddColorsRef();
  }
};

// Solid brushes of two plain colours, for probing.
struct TdxOffice11TestBrushes {
  HBRUSH Light = CreateSolidBrush(RGB(255, 0, 0));
  HBRUSH Dark = CreateSolidBrush(RGB(0, 0, 255));
  ~TdxOffice11TestBrushes()
  {
    DeleteObject(Light);
    DeleteObject(Dark);
  }
};

TEST_F(dxOffice11Glyphs, GripDotsFillTheRunCentred)
{
  const TdxOffice11TestBrushes brushes;
  TdxOffice11TestDib dib(20, 20);
  // 18 pixels: four dots of 4, the 2 left over split, so the run starts
  // 1 pixel in. Each dot: the dark square on top, the light one a pixel
  // down and right.
  dxOffice11DrawGripDots(dib.DC(), TRect{0, 0, 18, 4}, false, nullptr, brushes.Light, brushes.Dark);
  EXPECT_EQ(dib.Find(vcl::clBlue, 0, 20), (std::vector<int>{1, 2, 5, 6, 9, 10, 13, 14}));
  EXPECT_EQ(dib.Find(vcl::clBlue, 1, 20), (std::vector<int>{1, 2, 5, 6, 9, 10, 13, 14}));
  EXPECT_EQ(dib.Find(vcl::clRed, 1, 20), (std::vector<int>{3, 7, 11, 15}));
  EXPECT_EQ(dib.Find(vcl::clRed, 2, 20), (std::vector<int>{2, 3, 6, 7, 10, 11, 14, 15}));
  EXPECT_TRUE(dib.Find(vcl::clWhite, 3, 20).size() == 20u);
}

TEST_F(dxOffice11Glyphs, GripDotsRunDownAColumnAtTheirScale)
{
  const TdxOffice11TestBrushes brushes;
  TdxOffice11TestDib dib(40, 40);
  rtl::TOwnedPtr<TdxScaleFactor> factor(rtl::New<TdxScaleFactor>());
  factor->Assign(2, 1, false);
  EXPECT_EQ(dxOffice11GripDotSize(factor.get()), 8);
  // 33 high: four dots of 8, one pixel over, which is not more than the
  // 2-pixel inset, so the run moves by that one pixel.
  dxOffice11DrawGripDots(dib.DC(), TRect{0, 0, 8, 33}, true, factor.get(), brushes.Light, brushes.Dark);
  EXPECT_EQ(dib.Find(vcl::clBlue, 0, 40, true), (std::vector<int>{1, 2, 3, 4, 9, 10, 11, 12, 17, 18, 19, 20, 25, 26,
                                                                    27, 28}));
  EXPECT_EQ(dib.Find(vcl::clRed, 5, 40, true),
            (std::vector<int>{3, 4, 5, 6, 11, 12, 13, 14, 19, 20, 21, 22, 27, 28, 29, 30}));
  EXPECT_EQ(dib.Pixel(6, 0), vcl::clWhite);
}

TEST_F(dxOffice11Glyphs, GripDotsWithoutBrushesUseThePalette)
{
  TdxOffice11TestDib dib(8, 8);
  dxOffice11DrawGripDots(dib.DC(), TRect{0, 0, 4, 4}, false);
  EXPECT_EQ(dib.Pixel(0, 0), dxOffice11GripDarkColor);
  EXPECT_EQ(dib.Pixel(2, 2), dxOffice11GripLightColor);
}

TEST_F(dxOffice11Glyphs, SizeGripDrawsThreeShorteningRowsInTheCorner)
{
  TdxOffice11TestDib dib(24, 24);
  dxOffice11DrawSizeGrip(dib.DC(), TRect{0, 0, 20, 20}, vcl::clRed, vcl::clBlue);
  // The dark corner of each dot: rows start 12, 8 and 4 pixels from the
  // right, each row a dot higher.
  EXPECT_EQ(dib.Find(vcl::clBlue, 17, 24), (std::vector<int>{8, 9, 12, 13, 16, 17}));
  EXPECT_EQ(dib.Find(vcl::clBlue, 13, 24), (std::vector<int>{12, 13, 16, 17}));
  EXPECT_EQ(dib.Find(vcl::clBlue, 9, 24), (std::vector<int>{16, 17}));
  EXPECT_EQ(dib.Find(vcl::clRed, 19, 24), (std::vector<int>{9, 10, 13, 14, 17, 18}));
  EXPECT_TRUE(dib.Find(vcl::clWhite, 8, 24).size() == 24u);
  // clDefault takes the palette's brushes.
  TdxOffice11TestDib plain(24, 24);
  dxOffice11DrawSizeGrip(plain.DC(), TRect{0, 0, 20, 20});
  EXPECT_EQ(plain.Pixel(8, 17), dxOffice11GripDarkColor);
  EXPECT_EQ(plain.Pixel(10, 19), dxOffice11GripLightColor);
}

// The pixels of AColor in the DIB, as rows of the bounding box.
std::vector<std::string> Shape(const TdxOffice11TestDib& ADib, TColor AColor, int ASize)
{
  int left = ASize, top = ASize, right = -1, bottom = -1;
  for (int y = 0; y < ASize; ++y)
    for (int x = 0; x < ASize; ++x)
      if (ADib.Pixel(x, y) == AColor) {
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x);
        bottom = std::max(bottom, y);
      }
  std::vector<std::string> rows;
  if (right < 0)
    return rows;
  rows.push_back(std::to_string(left) + "," + std::to_string(top));
  for (int y = top; y <= bottom; ++y) {
    std::string row;
    for (int x = left; x <= right; ++x)
      row += ADib.Pixel(x, y) == AColor ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

TEST_F(dxOffice11Glyphs, ArrowsAreSolidTrianglesCentredInTheRectangle)
{
  struct TCase {
    const char* Name;
    int Direction;
    int Size;
    std::vector<std::string> Expected;  // top-left, then the rows
  };
  const TCase cases[] = {
      {"down 3", dxOffice11ArrowDown, 3, {"5,6", "#####", ".###.", "..#.."}},
      {"right 4", dxOffice11ArrowRight, 4, {"6,4", "#...", "##..", "###.", "####", "###.", "##..", "#..."}},
      {"left 4", dxOffice11ArrowLeft, 4, {"7,4", "...#", "..##", ".###", "####", ".###", "..##", "...#"}},
  };
  for (const TCase& c : cases) {
    TdxOffice11TestDib dib(16, 16);
    dxOffice11DrawArrowEx(dib.DC(), TRect{0, 0, 16, 16}, c.Direction, true, false, c.Size);
    EXPECT_EQ(Shape(dib, dxOffice11TextColor, 16), c.Expected) << c.Name;
  }
  TdxOffice11TestDib none(16, 16);
  dxOffice11DrawArrowEx(none.DC(), TRect{0, 0, 16, 16}, 0, true, false, 3);
  EXPECT_TRUE(Shape(none, dxOffice11TextColor, 16).empty());
}

TEST_F(dxOffice11Glyphs, ArrowSizeFollowsTheRectangle)
{
  struct TCase {
    const char* Name;
    TRect R;
    bool Vertical;
    std::vector<std::string> Expected;
  };
  const TCase cases[] = {
      // e = 8: (8 - 1) div 2 = 3.
      {"down in 16 x 16", {0, 0, 16, 16}, true, {"5,6", "#####", ".###.", "..#.."}},
      // e = 9, odd: 4 + 1 = 5.
      {"down in 17 wide", {0, 0, 17, 16}, true, {"4,5", "#########", ".#######.", "..#####..", "...###...", "....#...."}},
      // e = 2: at least 3.
      {"right in 8 high", {0, 0, 16, 8}, false, {"6,1", "#..", "##.", "###", "##.", "#.."}},
  };
  for (const TCase& c : cases) {
    TdxOffice11TestDib dib(20, 20);
    dxOffice11DrawArrow(dib.DC(), c.R, c.Vertical, true, false);
    EXPECT_EQ(Shape(dib, dxOffice11TextColor, 20), c.Expected) << c.Name;
  }
}

TEST_F(dxOffice11Glyphs, DisabledArrowTakesTheDisabledTextColour)
{
  TdxOffice11TestDib dib(16, 16);
  dxOffice11DrawArrow(dib.DC(), TRect{0, 0, 16, 16}, true, false, false);
  EXPECT_EQ(Shape(dib, dxOffice11DisabledTextColor, 16), (std::vector<std::string>{"5,6", "#####", ".###.", "..#.."}));
}

TEST_F(dxOffice11Glyphs, FrameRectOutlinesInTheSeparatorColour)
{
  if (cxIsDarkHighContrast())
    GTEST_SKIP() << "the system runs a dark high-contrast scheme";
  TdxOffice11TestDib dib(10, 10);
  dxOffice11FrameRect(dib.DC(), TRect{1, 1, 9, 9});
  EXPECT_EQ(dib.Pixel(1, 1), dxOffice11SeparatorColor);
  EXPECT_EQ(dib.Pixel(8, 5), dxOffice11SeparatorColor);
  EXPECT_EQ(dib.Pixel(4, 8), dxOffice11SeparatorColor);
  EXPECT_EQ(dib.Pixel(2, 2), vcl::clWhite);
  EXPECT_EQ(dib.Pixel(0, 0), vcl::clWhite);
}

TEST_F(dxOffice11Glyphs, GradientMovesItsMiddleByTheSchemeWeight)
{
  // Blue: weight 41. Per channel 200 -> 0: d = MulDiv(200, 41, 200) = 41,
  // the middle band 159, the ends the two colours.
  const TColor light = RGB(200, 200, 200);
  for (bool horizontal : {false, true}) {
    TdxOffice11TestDib dib(12, 12);
    dxOffice11FillGradientRect(dib.DC(), TRect{1, 1, 11, 11}, light, vcl::clBlack, horizontal);
    auto at = [&](int I) { return horizontal ? dib.Pixel(1 + I, 5) : dib.Pixel(5, 1 + I); };
    EXPECT_EQ(at(0), light) << horizontal;
    EXPECT_EQ(at(5), static_cast<TColor>(RGB(159, 159, 159))) << horizontal;
    EXPECT_EQ(at(9), vcl::clBlack) << horizontal;
    EXPECT_EQ(horizontal ? dib.Pixel(0, 5) : dib.Pixel(5, 0), vcl::clWhite) << horizontal;
    // Across the gradient a band is one colour.
    EXPECT_EQ(horizontal ? dib.Pixel(3, 1) : dib.Pixel(1, 3), horizontal ? dib.Pixel(3, 10) : dib.Pixel(10, 3));
  }
  TdxOffice11TestDib solid(6, 6);
  dxOffice11FillGradientRect(solid.DC(), TRect{0, 0, 6, 6}, vcl::clRed, vcl::clRed, false);
  EXPECT_EQ(solid.Pixel(0, 0), vcl::clRed);
  EXPECT_EQ(solid.Pixel(5, 5), vcl::clRed);
}

}  // namespace
