// Colours with alpha and the small graphics chores every drawing unit shares:
// - TdxAlphaColor ($AARRGGBB) with its markers and the conversions from and
//   to the platform's 24-bit TColor;
// - TdxAlphaColors: the named, system and CSS keyword colours, and colours
//   as text (the form SVG documents use);
// - colour palettes, through which vector glyphs are recoloured;
// - 32-bit pixel helpers and the GDI object records;
// - character rectangles and clip-region save and restore on a device
//   context, for the text layout.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <vector>

#include "platform/rtl/System.h"
#include "platform/rtl/SystemTypes.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/vcl/Graphics.h"

RTL_DECLARE_UNIT(dxCoreGraphics);

// ---------------------------------------------------------------------------
// Alpha colours

// $AARRGGBB. In memory the bytes are blue, green, red, alpha: the order of a
// 32-bit DIB pixel, so pixels and colours are interchangeable.
using TdxAlphaColor = std::uint32_t;

// Nothing; what clNone converts to.
inline constexpr TdxAlphaColor TdxAlphaColorEmpty = 0;
// Transparent white: drawn as nothing, like 0.
inline constexpr TdxAlphaColor TdxAlphaColorTransparentWhite = 0x00FFFFFF;
// What clDefault converts to, and back.
inline constexpr TdxAlphaColor TdxAlphaColorDefault = 0x00010203;

// The alpha content of 32-bit pixels.
enum TdxAlphaState { asNoAlpha, asSemitransparent, asOpaque };

// The unit of measure handed to the 2-D graphics library.
enum TdxGraphicUnit { guWorld, guDisplay, guPixel, guPoint, guInch, guDocument, guMillimeter };

// 32-bit pixels, in the layout of TdxAlphaColor.
using TRGBColors = std::vector<RGBQUAD>;

struct TdxAlphaColorBytes {
  std::uint8_t B;
  std::uint8_t G;
  std::uint8_t R;
  std::uint8_t A;
};

TdxAlphaColor dxMakeAlphaColor(std::uint8_t A, std::uint8_t R, std::uint8_t G, std::uint8_t B);
// clNone gives 0, clDefault $00010203; any other colour is resolved (a system
// colour becomes its current RGB) and packed with the alpha.
TdxAlphaColor dxColorToAlphaColor(vcl::TColor AColor, std::uint8_t AAlpha = 255);
TdxAlphaColor dxMakeAlphaColor(vcl::TColor AColor, std::uint8_t AAlpha = 255);
// The resolved colour with the alpha, without the markers' special cases.
std::uint32_t dxPackColorAndAlpha(vcl::TColor AColor, std::uint8_t AAlpha);
// 0 gives clNone and $00010203 clDefault, both with alpha 0.
vcl::TColor dxAlphaColorToColorAndAlpha(TdxAlphaColor AColor, std::uint8_t& AAlpha);
vcl::TColor dxAlphaColorToColor(TdxAlphaColor AColor);
std::uint8_t dxGetAlpha(TdxAlphaColor AColor);
std::uint32_t dxSwapRedAndBlue(std::uint32_t AColor);
TdxAlphaColorBytes dxAlphaColorToBytes(TdxAlphaColor AColor);
// True for 0 and $00FFFFFF only: no brush or pen is made for them.
bool dxIsEmptyOrTransparentAlphaColor(TdxAlphaColor AColor);

// ---------------------------------------------------------------------------
// Named and system colours, and colours as text

// Class-level data only. The tables exist from the unit's start-up to its
// shut-down; the system colours follow WM_SYSCOLORCHANGE.
class TdxAlphaColors {
 public:
  TdxAlphaColors() = delete;

  struct TColorInfo {
    TdxAlphaColor Color;
    rtl::String Name;
  };

  struct TSystemColorData {
    const wchar_t* Name;
    // For GetSysColor.
    int Index;
  };

  // "#rrggbb" and "#rgb" are read as hexadecimal (a pair that is no
  // hexadecimal number raises EConvertError); any other text is a CSS
  // keyword or a colour name, ignoring case. Unknown text gives 0.
  static TdxAlphaColor FromText(const rtl::String& AText);
  // 0 gives the empty string. With AUseNames a colour equal to a named
  // colour (alpha included) or to a system colour gives its name; otherwise
  // "#RRGGBB" without the alpha.
  static rtl::String ToText(TdxAlphaColor AColor, bool AUseNames = true);

  // The named colours in their order, names as written.
  static const std::vector<TColorInfo>& NamedColors();
  // The system-colour rows in accessor order.
  static std::span<const TSystemColorData> SystemColorData();
  // The current value of a system-colour row.
  static TdxAlphaColor SystemColor(int ARow);

  static TdxAlphaColor ActiveBorder() { return SystemColor(0); }
  static TdxAlphaColor ActiveCaption() { return SystemColor(1); }
  static TdxAlphaColor ActiveCaptionText() { return SystemColor(2); }
  static TdxAlphaColor AppWorkspace() { return SystemColor(3); }
  static TdxAlphaColor ButtonFace() { return SystemColor(4); }
  static TdxAlphaColor ButtonHighlight() { return SystemColor(5); }
  static TdxAlphaColor ButtonShadow() { return SystemColor(6); }
  static TdxAlphaColor Control() { return SystemColor(7); }
  static TdxAlphaColor ControlDark() { return SystemColor(8); }
  static TdxAlphaColor ControlDarkDark() { return SystemColor(9); }
  static TdxAlphaColor ControlLight() { return SystemColor(10); }
  static TdxAlphaColor ControlLightLight() { return SystemColor(11); }
  static TdxAlphaColor ControlText() { return SystemColor(12); }
  static TdxAlphaColor Desktop() { return SystemColor(13); }
  static TdxAlphaColor GradientActiveCaption() { return SystemColor(14); }
  static TdxAlphaColor GradientInactiveCaption() { return SystemColor(15); }
  static TdxAlphaColor GrayText() { return SystemColor(16); }
  static TdxAlphaColor Highlight() { return SystemColor(17); }
  static TdxAlphaColor HighlightText() { return SystemColor(18); }
  static TdxAlphaColor HotTrack() { return SystemColor(19); }
  static TdxAlphaColor InactiveBorder() { return SystemColor(20); }
  static TdxAlphaColor InactiveCaption() { return SystemColor(21); }
  static TdxAlphaColor InactiveCaptionText() { return SystemColor(22); }
  static TdxAlphaColor Info() { return SystemColor(23); }
  static TdxAlphaColor InfoText() { return SystemColor(24); }
  static TdxAlphaColor Menu() { return SystemColor(25); }
  static TdxAlphaColor MenuBar() { return SystemColor(26); }
  static TdxAlphaColor MenuHighlight() { return SystemColor(27); }
  static TdxAlphaColor MenuText() { return SystemColor(28); }
  static TdxAlphaColor ScrollBar() { return SystemColor(29); }
  static TdxAlphaColor Window() { return SystemColor(30); }
  static TdxAlphaColor WindowFrame() { return SystemColor(31); }
  static TdxAlphaColor WindowText() { return SystemColor(32); }

  // The hidden window that refreshes the system colours.
  class TUpdateSystemColorsListener : public rtl::TObject {
    RTL_CLASS(TUpdateSystemColorsListener, rtl::TObject)

   public:
    void Create();
    void Destroy() override;
    HWND Handle() const { return FHandle; }

   private:
    void WndProc(rtl::TMessage& AMessage);

    HWND FHandle;
  };

  // Rereads the system colours into the tables; run at start-up and on
  // every WM_SYSCOLORCHANGE.
  static void RefreshSystemColors();
  static TUpdateSystemColorsListener* Listener();

  // The unit's start-up and shut-down.
  static void Initialize();
  static void Finalize();
};

// ---------------------------------------------------------------------------
// Colour palettes

// Recolours vector images: the ID is chosen by the caller (the SVG renderer
// passes the style name of the element it paints).
struct IdxColorPalette : rtl::IInterface {
  RTL_GUID(IdxColorPalette, "{D0CB7E80-BE5A-4532-972C-5046B346FDA5}")
  // Identifies the palette; image caches key their entries by it.
  virtual GUID __stdcall GetID() = 0;
  virtual TdxAlphaColor __stdcall GetFillColor(const rtl::String& ID) = 0;
  virtual TdxAlphaColor __stdcall GetStrokeColor(const rtl::String& ID) = 0;
};

class TdxCustomColorPalette : public rtl::TInterfacedObject, public IdxColorPalette {
  RTL_CLASS(TdxCustomColorPalette, rtl::TInterfacedObject)
  RTL_INTERFACES(IdxColorPalette)

 public:
  // A fresh ID for every palette.
  void AfterConstruction() override;
  GUID __stdcall GetID() override { return FID; }

 protected:
  GUID FID;
};

// The same two colours for every ID.
class TdxSimpleColorPalette : public TdxCustomColorPalette {
  RTL_CLASS(TdxSimpleColorPalette, TdxCustomColorPalette)

 public:
  void Create(TdxAlphaColor AFillColor, TdxAlphaColor AStrokeColor);
  TdxAlphaColor __stdcall GetFillColor(const rtl::String& ID) override;
  TdxAlphaColor __stdcall GetStrokeColor(const rtl::String& ID) override;

 private:
  TdxAlphaColor FFillColor;
  TdxAlphaColor FStrokeColor;
};

// APalette's ID, or the zero GUID for nil.
void dxGetColorPaletteID(IdxColorPalette* APalette, GUID& AID);

// ---------------------------------------------------------------------------
// Pixels and GDI object records

// A 32-bit BI_RGB header; negative height for top-down rows.
void dxInitBitmapInfoHeader32(BITMAPINFOHEADER& AHeader, int AWidth, int AHeight, bool ATopDown);
// asSemitransparent when some alpha lies strictly between 0 and 255 or both
// extremes occur; asOpaque when every alpha is 255; else (no pixels, or all
// alpha 0) asNoAlpha.
TdxAlphaState dxGetPixelsAlphaState(const TRGBColors& AColors);
TdxAlphaState dxGetPixelsAlphaState(const RGBQUAD* APixels, int ACount);
// Turns an alpha mask into a premultiplied solid image of AColor: each
// colour byte becomes MulDiv(component, alpha, 255); alpha is kept.
void dxFillPixelsPremultiplied(RGBQUAD* APixels, int ACount, vcl::TColor AColor);

bool dxGetBitmapData(HBITMAP AHandle, BITMAP& ABitmap);
bool dxGetBrushData(HBRUSH AHandle, LOGBRUSH& ABrush);
bool dxGetFontData(HFONT AHandle, LOGFONTW& AFont);

// ---------------------------------------------------------------------------
// Device-context text and clip helpers

// The DC's clip region, or 0 when it has none (or the query fails).
void dxSaveClipRegion(HDC DC, HRGN& ARegion);
// Selects ARegion (0 removes clipping), then deletes it.
void dxRestoreClipRegion(HDC DC, HRGN ARegion);

// The rectangle of each character of AText laid out on one line from
// ABounds.Left, spanning ABounds.Top..Bottom, in logical order; with
// AReorder, rectangle j is where logical character j is shown. Empty when
// the placement cannot be measured. AFont, when not 0, is selected for the
// call.
void dxGetCharacterRects(HDC DC, const wchar_t* AText, int ACount, std::vector<RECT>& ARects, bool AReorder,
                         HFONT AFont, const RECT& ABounds);
// A region over characters AStart..AStart+ALength-1, owned by the caller; 0
// when nothing non-empty is covered.
HRGN dxGetCharacterRangeRegion(HDC DC, const wchar_t* AText, int ACount, bool AReorder, HFONT AFont, int ALength,
                               int AStart, const RECT& ABounds);
