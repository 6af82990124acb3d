#include "graphics/dxOffice11.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>

#include "core/dxCore.h"
#include "core/dxDPIAwareUtils.h"
#include "core/dxThemeManager.h"
#include "core/dxUxTheme.h"
#include "graphics/cxGraphicsColors.h"
#include "graphics/cxGraphicsDraw.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/GraphicsHandles.h"

using enum vcl::TPixelFormat;

using vcl::TColor;

vcl::TColor dxOffice11Colors[dxOffice11ColorCount];
int dxOffice11GradientWeight;
HBRUSH dxOffice11Brushes[dxOffice11BrushCount];
vcl::TBitmap* dxOffice11SubMenuExpandBitmap;
vcl::TBitmap* dxOffice11ExpandButtonMinusBitmap;
vcl::TBitmap* dxOffice11ExpandButtonPlusBitmap;

// Recomputes the palette after a theme or system-colour change while the
// palette is referenced.
class TdxOffice11ThemeListener : public TdxThemeChangedNotificator {
  RTL_CLASS(TdxOffice11ThemeListener, TdxThemeChangedNotificator)

 protected:
  void DoThemeChanged() override
  {
    dxOffice11RefreshColors();
    inherited::DoThemeChanged();
  }
};

namespace {

int RefCount;
int Scheme;
bool UsesSchemeColors;
TdxOffice11ThemeListener* ThemeListener;

// The colour variants of Windows XP's visual style, in table column order.
constexpr const wchar_t* SchemeColorNames[] = {L"NORMALCOLOR", L"HOMESTEAD", L"METALLIC"};

// Per table row: blue, olive and silver as 0xRRGGBB.
constexpr std::uint32_t SchemeTable[49][3] = {
    {0xDDECFE, 0xF4F7DE, 0xF3F4FA}, {0x81A9E2, 0xB7C691, 0x9997B5}, {0x9EBEF5, 0xD9D9A7, 0xD7D7E5},
    {0xC3DAF9, 0xF2F0E4, 0xF3F3F7}, {0x003591, 0x60776B, 0x767492}, {0x75A6F1, 0xB0C28C, 0xB3B2C8},
    {0xFFC176, 0xFFC176, 0xFFC176}, {0xFFF8D3, 0xFFF8D3, 0xFFF8D3}, {0xFFDD98, 0xFFDD98, 0xFFDD98},
    {0xFE9552, 0xFE9552, 0xFE9552}, {0x3B619C, 0x608058, 0x7C7C94}, {0x7BA4E0, 0xB5C48F, 0x9391B0},
    {0x274176, 0x515E33, 0x545475}, {0xFFFFFF, 0xFFFFFF, 0xFFFFFF}, {0x6A8CCB, 0x608058, 0x6E6D8F},
    {0xF1F9FF, 0xF4F7DE, 0xFFFFFF}, {0x2A66C9, 0x74865E, 0x7A7999}, {0xC4DBF9, 0xE1DEAD, 0xDBDAE4},
    {0x002D96, 0x758D5E, 0x7C7C94}, {0xF6F6F6, 0xF4F4EE, 0xFDFAFF}, {0xFFEEC2, 0xFFEEC2, 0xFFEEC2},
    {0x000080, 0x3F5D38, 0x4B4B6F}, {0xFFF4CC, 0xFFF4CC, 0xFFF4CC}, {0xFFD091, 0xFFD091, 0xFFD091},
    {0xFFD38E, 0xFFD38E, 0xFFD38E}, {0xFE914E, 0xFE914E, 0xFE914E}, {0xCBE1FC, 0xD8E3B6, 0xD6D3E7},
    {0xFFC06F, 0xFFC06F, 0xFFC06F}, {0xFE803E, 0xFE803E, 0xFE803E}, {0xA9C7F0, 0xC5D49F, 0xC0C0D3},
    {0x000000, 0x000000, 0x000000}, {0x8D8D8D, 0x8D8D8D, 0x8D8D8D}, {0xBEDAFB, 0xAFBA91, 0xE5E5EB},
    {0xFBE694, 0xFBE694, 0xFBE694}, {0xC4DAFA, 0xF2F1E4, 0xF3F3F7}, {0x002D96, 0x608058, 0x7C7C94},
    {0x3768B9, 0x738954, 0x706F91}, {0x002D96, 0x758D5E, 0x7C7C94}, {0xD3E5FB, 0xF2F5DB, 0xF0F1F8},
    {0x88AEE4, 0xBCC997, 0xA09EBA}, {0xFFFFDC, 0xFFFFDC, 0xFFFFDC}, {0xF7C05B, 0xF7C05B, 0xF7C05B},
    {0xFBE694, 0xFBE694, 0xFBE694}, {0xEE9515, 0xEE9515, 0xEE9515}, {0xE87F08, 0xE87F08, 0xE87F08},
    {0xF7DA7C, 0xF7DA7C, 0xF7DA7C}, {0x5987D6, 0xAFC082, 0xA8A7BF}, {0x033893, 0x637A44, 0x706F91},
    {0xFFFFFF, 0xFFFFFF, 0xFFFFFF}};

// The palette entry each table row fills.
constexpr std::uint8_t SchemeTableEntries[49] = {2,  3,  0,  1,  7,  4,  8,  5,  9,  6,  10, 11, 18,
                                                 19, 20, 21, 24, 25, 38, 31, 40, 41, 42, 43, 44, 45,
                                                 46, 47, 48, 49, 51, 52, 58, 59, 61, 60, 63, 65, 66,
                                                 67, 68, 69, 70, 71, 72, 73, 74, 75, 76};

constexpr int SchemeGradientWeights[] = {41, 125, 40};
constexpr int DefaultGradientWeight = 75;

// The palette entries the brushes are made of, in dxOffice11Brushes order.
constexpr std::uint8_t BrushEntries[dxOffice11BrushCount] = {18, 19, 20, 21, 38, 31, 41, 46, 47, 48, 49, 40, 55};

constexpr TColor RGBOf(std::uint32_t ARRGGBB)
{
  return static_cast<TColor>(((ARRGGBB & 0xFF) << 16) | (ARRGGBB & 0xFF00) | ((ARRGGBB >> 16) & 0xFF));
}

TColor& Entry(int AIndex)
{
  return dxOffice11Colors[AIndex];
}

TColor Sys(TColor AColor)
{
  return vcl::ColorToRGB(AColor);
}

rtl::String ExtractFileName(const rtl::String& APath)
{
  const std::size_t separator = APath.find_last_of(L"\\/:");
  return separator == rtl::String::npos ? APath : APath.substr(separator + 1);
}

int DetectScheme()
{
  if (!dxThemesAvailable() || !dxUxThemeFunctions.GetCurrentThemeName)
    return dxOffice11SchemeNone;
  wchar_t fileName[1024] = {};
  wchar_t colorName[1024] = {};
  wchar_t sizeName[1024] = {};
  if (FAILED(dxUxGetCurrentThemeName(fileName, 1024, colorName, 1024, sizeName, 1024)))
    return dxOffice11SchemeNone;
  // Before Vista only Luna has these colour variants; another XP style may
  // reuse their names for colours of its own.
  if (rtl::AnsiUpperCase(ExtractFileName(fileName)) != L"LUNA.MSSTYLES" && !dxOSIsWindowsVistaOrLater)
    return dxOffice11SchemeNone;
  const rtl::String color = rtl::AnsiUpperCase(colorName);
  for (int i = 0; i < static_cast<int>(std::size(SchemeColorNames)); ++i)
    if (color == SchemeColorNames[i])
      return i + 1;
  return dxOffice11SchemeNone;
}

// Each channel of clBtnFace moved halfway to white (ALight) or darkened by a
// few steps.
TColor GroupCaptionColor(bool ALight)
{
  const TColor face = Sys(vcl::clBtnFace);
  int channels[3] = {GetRValue(face), GetGValue(face), GetBValue(face)};
  for (int& v : channels)
    v = ALight ? v * 127 / 255 + 128 : v - v * 4 / 255 + 4;
  return cxGetNearestColor(static_cast<TColor>(RGB(channels[0], channels[1], channels[2])));
}

void ComputeSchemeColors(int AColumn)
{
  for (int row = 0; row < static_cast<int>(std::size(SchemeTable)); ++row)
    Entry(SchemeTableEntries[row]) = RGBOf(SchemeTable[row][AColumn]);
  for (int i = 0; i < 3; ++i)
    Entry(12 + i) = cxBlendColors(Entry(4 + i), Entry(2), 90);
  Entry(22) = vcl::clBlack;
  Entry(23) = vcl::clWhite;
  Entry(28) = vcl::clWhite;
  Entry(29) = vcl::clBlack;
  Entry(30) = vcl::clBlack;
  Entry(62) = RGBOf(0xFDEEC9);
  Entry(64) = Entry(11);
  Entry(77) = Entry(74);
  Entry(78) = Entry(75);
  dxOffice11GradientWeight = SchemeGradientWeights[AColumn];
}

void ComputeSystemColors()
{
  const TColor face = vcl::clBtnFace;
  const TColor window = vcl::clWindow;
  const TColor shadow = vcl::clBtnShadow;
  Entry(0) = Sys(face);
  Entry(1) = cxBlendColors(face, window, 20);
  Entry(2) = cxBlendColors(face, window, 22);
  Entry(3) = cxBlendColors(face, window, 96);
  Entry(4) = cxBlendColors(shadow, window, 74);
  Entry(5) = cxGetNearestColor(cxBlendSystemColors(-15, 29, 86));
  Entry(6) = cxGetNearestColor(cxBlendSystemColors(42, 11, 47));
  Entry(7) = Sys(shadow);
  Entry(8) = Entry(5);
  Entry(9) = Entry(6);
  Entry(10) = cxBlendColors(face, window, 85);
  Entry(11) = Sys(face);
  for (int i = 0; i < 3; ++i)
    Entry(12 + i) = cxBlendColors(Entry(7 + i), window, 50);
  Entry(18) = cxBlendColors(shadow, window, 76);
  Entry(19) = Sys(window);
  Entry(20) = cxBlendColors(shadow, window, 70);
  Entry(21) = vcl::clWhite;
  Entry(22) = Sys(vcl::clBtnText);
  Entry(23) = Sys(window);
  Entry(24) = Sys(shadow);
  Entry(25) = Entry(3);
  Entry(28) = Sys(vcl::clBtnHighlight);
  Entry(29) = Sys(vcl::clBtnText);
  Entry(30) = Sys(vcl::clBtnText);
  Entry(31) = Sys(window);
  Entry(38) = Sys(shadow);
  Entry(40) = cxGetNearestColor(cxBlendSystemColors(-2, 30, 72));
  Entry(41) = Sys(vcl::clHighlight);
  Entry(42) = Entry(40);
  Entry(43) = Entry(40);
  Entry(46) = Entry(3);
  Entry(47) = cxBlendSystemColors(41, 11, 48);
  Entry(48) = cxGetNearestColor(cxBlendSystemColors(14, 44, 40));
  Entry(44) = Entry(48);
  Entry(45) = Entry(48);
  Entry(49) = Entry(46);
  Entry(51) = Sys(vcl::clBtnText);
  Entry(52) = Sys(vcl::clGrayText);
  Entry(58) = Sys(face);
  Entry(59) = Entry(47);
  Entry(60) = Entry(38);
  Entry(61) = Entry(0);
  Entry(62) = Sys(face);
  Entry(63) = Sys(shadow);
  Entry(64) = Sys(shadow);
  Entry(65) = cxGetNearestColor(shadow);
  Entry(66) = GroupCaptionColor(true);
  Entry(67) = GroupCaptionColor(false);
  Entry(68) = Entry(42);
  Entry(69) = Entry(43);
  Entry(70) = Entry(47);
  Entry(71) = Entry(70);
  Entry(72) = Entry(48);
  Entry(73) = Entry(72);
  Entry(74) = Entry(65);
  Entry(75) = Entry(65);
  Entry(76) = Sys(vcl::clHighlightText);
  Entry(77) = cxGetNearestColor(face);
  Entry(78) = Entry(65);
  dxOffice11GradientWeight = DefaultGradientWeight;
}

// The entries both branches derive the same way.
void ComputeCommonColors()
{
  for (int i = 0; i < 3; ++i)
    Entry(15 + i) = cxBlendColors(Entry(7 + i), Entry(11), 50);
  Entry(26) = Entry(2);
  Entry(27) = Entry(24);
  Entry(32) = Entry(2);
  Entry(33) = Entry(3);
  Entry(34) = Entry(2);
  Entry(35) = Entry(3);
  Entry(36) = cxBlendColors(Entry(34), vcl::clBlack, 92);
  Entry(37) = cxBlendColors(Entry(35), vcl::clBlack, 92);
  Entry(39) = Entry(31);
  Entry(50) = Entry(40);
  Entry(53) = Entry(38);
  Entry(54) = Entry(0);
  Entry(55) = Entry(15);
  Entry(56) = Entry(28);
  Entry(57) = Entry(38);
}

// ---------------------------------------------------------------------------
// Brushes and bitmaps

void CreateBrushes()
{
  for (int i = 0; i < dxOffice11BrushCount; ++i)
    dxOffice11Brushes[i] = CreateSolidBrush(static_cast<COLORREF>(Entry(BrushEntries[i])));
}

void DeleteBrushes()
{
  for (HBRUSH& brush : dxOffice11Brushes)
    vcl::DeleteAndNil(brush);
}

// An empty bitmap when the program carries no such resource: a missing glyph
// must not cost the painters their colours.
vcl::TBitmap* LoadBitmap(const wchar_t* AResName)
{
  vcl::TBitmap* result = rtl::New<vcl::TBitmap>();
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  if (FindResourceW(instance, AResName, reinterpret_cast<LPCWSTR>(RT_BITMAP)))
    try {
      result->LoadFromResourceName(instance, AResName);
    } catch (...) {
      rtl::FreeAndNil(result);
      throw;
    }
  return result;
}

// The grey levels of the mark (its red channel) become the mix of the bar
// gradient's two colours; black and the transparent colour stay.
void RecolorSubMenuExpandBitmap(vcl::TBitmap* ABitmap)
{
  if (ABitmap->GetEmpty())
    return;
  ABitmap->SetPixelFormat(pf32bit);
  const int width = ABitmap->GetWidth();
  const int height = ABitmap->GetHeight();
  auto pixel = [&](int X, int Y) -> RGBQUAD& { return static_cast<RGBQUAD*>(ABitmap->ScanLine(Y))[X]; };
  const RGBQUAD transparent = pixel(0, 0);
  auto recolored = [&](const RGBQUAD& P) {
    const bool isTransparent =
        P.rgbRed == transparent.rgbRed && P.rgbGreen == transparent.rgbGreen && P.rgbBlue == transparent.rgbBlue;
    const bool isBlack = P.rgbRed == 0 && P.rgbGreen == 0 && P.rgbBlue == 0;
    return !isTransparent && !isBlack;
  };
  const TColor color1 = Entry(2);
  TColor color2 = Entry(3);
  if (color1 == color2)
    color2 = color1 == vcl::clBlack ? vcl::clWhite : vcl::clBlack;
  int smallest = 255;
  int largest = 1;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (recolored(pixel(x, y))) {
        smallest = std::min<int>(smallest, pixel(x, y).rgbRed);
        largest = std::max<int>(largest, pixel(x, y).rgbRed);
      }
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      RGBQUAD& p = pixel(x, y);
      if (!recolored(p))
        continue;
      // One grey level throughout would divide by zero: it takes the light
      // end.
      const int percent = largest > smallest ? MulDiv(p.rgbRed - smallest, 100, largest - smallest) : 100;
      const TColor c = cxBlendColors(color1, color2, percent);
      p.rgbRed = GetRValue(c);
      p.rgbGreen = GetGValue(c);
      p.rgbBlue = GetBValue(c);
    }
}

void FreeBitmaps()
{
  rtl::FreeAndNil(dxOffice11SubMenuExpandBitmap);
  rtl::FreeAndNil(dxOffice11ExpandButtonMinusBitmap);
  rtl::FreeAndNil(dxOffice11ExpandButtonPlusBitmap);
}

void CreateBitmaps()
{
  try {
    dxOffice11SubMenuExpandBitmap = LoadBitmap(L"DXSUBMENUEXPAND");
    RecolorSubMenuExpandBitmap(dxOffice11SubMenuExpandBitmap);
    dxOffice11ExpandButtonMinusBitmap = LoadBitmap(L"DXEXPANDBUTTON_MINUS");
    dxOffice11ExpandButtonPlusBitmap = LoadBitmap(L"DXEXPANDBUTTON_PLUS");
  } catch (...) {
    FreeBitmaps();
    throw;
  }
}

// All or nothing: a bitmap that fails to load takes the brushes with it.
void CreateResources()
{
  CreateBrushes();
  try {
    CreateBitmaps();
  } catch (...) {
    DeleteBrushes();
    throw;
  }
}

void FreeResources()
{
  FreeBitmaps();
  DeleteBrushes();
}

void dxOffice11Finalization()
{
  // Holders that never released must not leak the GDI objects past the
  // program's end.
  if (RefCount > 0) {
    FreeResources();
    rtl::FreeAndNil(ThemeListener);
  }
  RefCount = 0;
}

// ---------------------------------------------------------------------------
// Drawing helpers

// Selects a pen and a solid brush of one colour for the scope.
class TdxOffice11SolidFigure {
 public:
  TdxOffice11SolidFigure(HDC DC, TColor AColor)
      : FPen(CreatePen(PS_SOLID, 1, static_cast<COLORREF>(AColor))),
        FBrush(CreateSolidBrush(static_cast<COLORREF>(AColor))),
        FPenSelection(DC, FPen.Get()),
        FBrushSelection(DC, FBrush.Get())
  {
  }

 private:
  // Made before the selections, so the DC lets go of them before they go.
  vcl::TOwnedPen FPen;
  vcl::TOwnedBrush FBrush;
  vcl::TSelectObjectGuard FPenSelection;
  vcl::TSelectObjectGuard FBrushSelection;
};

// A solid brush of AColor for the scope; nil for clDefault.
vcl::TOwnedBrush TemporaryBrush(TColor AColor)
{
  return vcl::TOwnedBrush(AColor == vcl::clDefault ? nullptr
                                                   : CreateSolidBrush(static_cast<COLORREF>(vcl::ColorToRGB(AColor))));
}

const TdxScaleFactor* ActualScaleFactor(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor ? AScaleFactor : dxGetSystemScaleFactor();
}

int Scaled(int AValue, const TdxScaleFactor* AScaleFactor)
{
  const TdxScaleFactor* factor = ActualScaleFactor(AScaleFactor);
  return factor ? factor->Apply(AValue) : AValue;
}

}  // namespace

RTL_UNIT(dxOffice11, nullptr, &dxOffice11Finalization);

// ---------------------------------------------------------------------------
// Scheme and references

int dxOffice11CurrentScheme()
{
  return Scheme;
}

bool dxOffice11UsesSchemeColors()
{
  return UsesSchemeColors;
}

int dxOffice11ColorsRefCount()
{
  return RefCount;
}

void dxOffice11ComputeColors()
{
  Scheme = DetectScheme();
  UsesSchemeColors = dxThemesAvailable() && Scheme != dxOffice11SchemeNone;
  if (UsesSchemeColors)
    ComputeSchemeColors(Scheme - 1);
  else
    ComputeSystemColors();
  ComputeCommonColors();
}

void dxOffice11AddColorsRef()
{
  if (RefCount == 0) {
    dxOffice11ComputeColors();
    CreateResources();
    ThemeListener = rtl::New<TdxOffice11ThemeListener>();
  }
  ++RefCount;
}

void dxOffice11ReleaseColors()
{
  if (RefCount == 0)
    return;
  if (--RefCount == 0) {
    rtl::FreeAndNil(ThemeListener);
    FreeResources();
  }
}

void dxOffice11RefreshColors()
{
  dxOffice11ComputeColors();
  if (RefCount > 0) {
    FreeResources();
    CreateResources();
  }
}

// ---------------------------------------------------------------------------
// Drawing

void dxOffice11FillGradientRect(HDC DC, const TRect& R, TColor AColor1, TColor AColor2, bool AHorizontal)
{
  cxWeightedGradientFillRect(DC, R, AColor1, AHorizontal, dxOffice11GradientWeight, AColor2);
}

void dxOffice11FrameRect(HDC DC, const TRect& R)
{
  const RECT r = R;
  if (cxIsDarkHighContrast() || cxIsColoredTextHighContrast())
    FrameRect(DC, &r, TdxSolidBrushCache::Get(vcl::clHighlightText));
  else if (dxOffice11SeparatorBrush)
    FrameRect(DC, &r, dxOffice11SeparatorBrush);
}

int dxOffice11GripDotSize(const TdxScaleFactor* AScaleFactor)
{
  return Scaled(4, AScaleFactor);
}

void dxOffice11DrawGripDots(HDC DC, const TRect& R, bool AVertical, const TdxScaleFactor* AScaleFactor,
                            HBRUSH ALightBrush, HBRUSH ADarkBrush)
{
  const HBRUSH light = ALightBrush ? ALightBrush : dxOffice11GripLightBrush;
  const HBRUSH dark = ADarkBrush ? ADarkBrush : dxOffice11GripDarkBrush;
  const int size = dxOffice11GripDotSize(AScaleFactor);
  const int inset = Scaled(1, AScaleFactor);
  if (size <= 0 || !light || !dark)
    return;
  const int span = AVertical ? R.bottom - R.top : R.right - R.left;
  const int rest = span - size * (span / size);
  const int shift = inset < rest ? rest / 2 : rest;
  const int stepX = AVertical ? 0 : size;
  const int stepY = AVertical ? size : 0;
  RECT cell{R.left, R.top, R.left + size, R.top + size};
  OffsetRect(&cell, AVertical ? 0 : shift, AVertical ? shift : 0);
  while (AVertical ? cell.bottom <= R.bottom : cell.right <= R.right) {
    RECT dot = cell;
    InflateRect(&dot, -inset, -inset);
    FillRect(DC, &dot, light);
    OffsetRect(&dot, -inset, -inset);
    FillRect(DC, &dot, dark);
    OffsetRect(&cell, stepX, stepY);
  }
}

void dxOffice11DrawSizeGrip(HDC DC, const TRect& R, TColor AColor1, TColor AColor2,
                            const TdxScaleFactor* AScaleFactor)
{
  const vcl::TOwnedBrush light = TemporaryBrush(AColor1);
  const vcl::TOwnedBrush dark = TemporaryBrush(AColor2);
  const int size = dxOffice11GripDotSize(AScaleFactor);
  RECT row{R.right - 12, R.bottom - Scaled(3, AScaleFactor), R.right, R.bottom};
  for (int i = 0; i < 3; ++i) {
    dxOffice11DrawGripDots(DC, row, false, AScaleFactor, light.Get(), dark.Get());
    row.left += 4;
    OffsetRect(&row, 0, -size);
  }
}

void dxOffice11DrawArrow(HDC DC, const TRect& R, bool AVertical, bool AEnabled, bool AHighlighted)
{
  const int extent = AVertical ? R.right - R.left - 8 : R.bottom - R.top - 6;
  int size = (extent - 1) / 2;
  if (extent % 2 != 0)
    ++size;
  size = std::max(size, 3);
  dxOffice11DrawArrowEx(DC, R, AVertical ? dxOffice11ArrowDown : dxOffice11ArrowRight, AEnabled, AHighlighted,
                        size);
}

void dxOffice11DrawArrowEx(HDC DC, const TRect& R, int ADirection, bool AEnabled, bool AHighlighted, int ASize)
{
  const int s = ASize;
  POINT points[3];
  switch (ADirection) {
    case dxOffice11ArrowDown: {
      const int x0 = (R.left + R.right - 2 * s + 1) / 2;
      const int y0 = (R.top + R.bottom - s) / 2;
      points[0] = {x0, y0};
      points[1] = {x0 + 2 * s - 2, y0};
      points[2] = {x0 + s - 1, y0 + s - 1};
      break;
    }
    case dxOffice11ArrowLeft: {
      const int x0 = (R.left + R.right + s) / 2;
      const int y0 = (R.top + R.bottom - 2 * s + 1) / 2;
      points[0] = {x0, y0};
      points[1] = {x0, y0 + 2 * s - 2};
      points[2] = {x0 - s + 1, y0 + s - 1};
      break;
    }
    case dxOffice11ArrowRight: {
      const int x0 = (R.left + R.right - s) / 2;
      const int y0 = (R.top + R.bottom - 2 * s + 1) / 2;
      points[0] = {x0, y0};
      points[1] = {x0, y0 + 2 * s - 2};
      points[2] = {x0 + s - 1, y0 + s - 1};
      break;
    }
    default:
      return;
  }
  TColor color = dxOffice11DisabledTextColor;
  if (AEnabled)
    color = AHighlighted && cxIsLightHighContrast() ? vcl::clWhite : dxOffice11TextColor;
  const TdxOffice11SolidFigure figure(DC, color);
  Polygon(DC, points, 3);
}
