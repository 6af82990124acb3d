#include "graphics/dxCoreGraphics.h"

#include <objbase.h>

#include <algorithm>
#include <array>
#include <memory>
#include <unordered_map>

#include "platform/rtl/ClassesThreads.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/SysUtilsFormat.h"
#include "platform/vcl/GraphicsHandles.h"

namespace {

struct TNamedColor {
  const wchar_t* Name;
  TdxAlphaColor Color;
};

// The extended colour keywords of CSS 3, in the order the list keeps them;
// only "Grey" of the grey spellings is present, with Gray's value.
constexpr TNamedColor NamedColorTable[] = {
    {L"AliceBlue", 0xFFF0F8FF}, {L"AntiqueWhite", 0xFFFAEBD7}, {L"Aqua", 0xFF00FFFF},
    {L"Aquamarine", 0xFF7FFFD4}, {L"Azure", 0xFFF0FFFF}, {L"Beige", 0xFFF5F5DC},
    {L"Bisque", 0xFFFFE4C4}, {L"Black", 0xFF000000}, {L"BlanchedAlmond", 0xFFFFEBCD},
    {L"Blue", 0xFF0000FF}, {L"BlueViolet", 0xFF8A2BE2}, {L"Brown", 0xFFA52A2A},
    {L"BurlyWood", 0xFFDEB887}, {L"CadetBlue", 0xFF5F9EA0}, {L"Chartreuse", 0xFF7FFF00},
    {L"Chocolate", 0xFFD2691E}, {L"Coral", 0xFFFF7F50}, {L"CornflowerBlue", 0xFF6495ED},
    {L"Cornsilk", 0xFFFFF8DC}, {L"Crimson", 0xFFDC143C}, {L"Cyan", 0xFF00FFFF},
    {L"DarkBlue", 0xFF00008B}, {L"DarkCyan", 0xFF008B8B}, {L"DarkGoldenrod", 0xFFB8860B},
    {L"DarkGray", 0xFFA9A9A9}, {L"DarkGreen", 0xFF006400}, {L"DarkKhaki", 0xFFBDB76B},
    {L"DarkMagenta", 0xFF8B008B}, {L"DarkOliveGreen", 0xFF556B2F}, {L"DarkOrange", 0xFFFF8C00},
    {L"DarkOrchid", 0xFF9932CC}, {L"DarkRed", 0xFF8B0000}, {L"DarkSalmon", 0xFFE9967A},
    {L"DarkSeaGreen", 0xFF8FBC8F}, {L"DarkSlateBlue", 0xFF483D8B}, {L"DarkSlateGray", 0xFF2F4F4F},
    {L"DarkTurquoise", 0xFF00CED1}, {L"DarkViolet", 0xFF9400D3}, {L"DeepPink", 0xFFFF1493},
    {L"DeepSkyBlue", 0xFF00BFFF}, {L"DimGray", 0xFF696969}, {L"DodgerBlue", 0xFF1E90FF},
    {L"Firebrick", 0xFFB22222}, {L"FloralWhite", 0xFFFFFAF0}, {L"ForestGreen", 0xFF228B22},
    {L"Fuchsia", 0xFFFF00FF}, {L"Gainsboro", 0xFFDCDCDC}, {L"GhostWhite", 0xFFF8F8FF},
    {L"Gold", 0xFFFFD700}, {L"Goldenrod", 0xFFDAA520}, {L"Gray", 0xFF808080},
    {L"Grey", 0xFF808080}, {L"Green", 0xFF008000}, {L"GreenYellow", 0xFFADFF2F},
    {L"Honeydew", 0xFFF0FFF0}, {L"HotPink", 0xFFFF69B4}, {L"IndianRed", 0xFFCD5C5C},
    {L"Indigo", 0xFF4B0082}, {L"Ivory", 0xFFFFFFF0}, {L"Khaki", 0xFFF0E68C},
    {L"Lavender", 0xFFE6E6FA}, {L"LavenderBlush", 0xFFFFF0F5}, {L"LawnGreen", 0xFF7CFC00},
    {L"LemonChiffon", 0xFFFFFACD}, {L"LightBlue", 0xFFADD8E6}, {L"LightCoral", 0xFFF08080},
    {L"LightCyan", 0xFFE0FFFF}, {L"LightGoldenrodYellow", 0xFFFAFAD2}, {L"LightGray", 0xFFD3D3D3},
    {L"LightGreen", 0xFF90EE90}, {L"LightPink", 0xFFFFB6C1}, {L"LightSalmon", 0xFFFFA07A},
    {L"LightSeaGreen", 0xFF20B2AA}, {L"LightSkyBlue", 0xFF87CEFA}, {L"LightSlateGray", 0xFF778899},
    {L"LightSteelBlue", 0xFFB0C4DE}, {L"LightYellow", 0xFFFFFFE0}, {L"Lime", 0xFF00FF00},
    {L"LimeGreen", 0xFF32CD32}, {L"Linen", 0xFFFAF0E6}, {L"Magenta", 0xFFFF00FF},
    {L"Maroon", 0xFF800000}, {L"MediumAquamarine", 0xFF66CDAA}, {L"MediumBlue", 0xFF0000CD},
    {L"MediumOrchid", 0xFFBA55D3}, {L"MediumPurple", 0xFF9370DB}, {L"MediumSeaGreen", 0xFF3CB371},
    {L"MediumSlateBlue", 0xFF7B68EE}, {L"MediumSpringGreen", 0xFF00FA9A}, {L"MediumTurquoise", 0xFF48D1CC},
    {L"MediumVioletRed", 0xFFC71585}, {L"MidnightBlue", 0xFF191970}, {L"MintCream", 0xFFF5FFFA},
    {L"MistyRose", 0xFFFFE4E1}, {L"Moccasin", 0xFFFFE4B5}, {L"NavajoWhite", 0xFFFFDEAD},
    {L"Navy", 0xFF000080}, {L"OldLace", 0xFFFDF5E6}, {L"Olive", 0xFF808000},
    {L"OliveDrab", 0xFF6B8E23}, {L"Orange", 0xFFFFA500}, {L"OrangeRed", 0xFFFF4500},
    {L"Orchid", 0xFFDA70D6}, {L"PaleGoldenrod", 0xFFEEE8AA}, {L"PaleGreen", 0xFF98FB98},
    {L"PaleTurquoise", 0xFFAFEEEE}, {L"PaleVioletRed", 0xFFDB7093}, {L"PapayaWhip", 0xFFFFEFD5},
    {L"PeachPuff", 0xFFFFDAB9}, {L"Peru", 0xFFCD853F}, {L"Pink", 0xFFFFC0CB},
    {L"Plum", 0xFFDDA0DD}, {L"PowderBlue", 0xFFB0E0E6}, {L"Purple", 0xFF800080},
    {L"Red", 0xFFFF0000}, {L"RosyBrown", 0xFFBC8F8F}, {L"RoyalBlue", 0xFF4169E1},
    {L"SaddleBrown", 0xFF8B4513}, {L"Salmon", 0xFFFA8072}, {L"SandyBrown", 0xFFF4A460},
    {L"SeaGreen", 0xFF2E8B57}, {L"SeaShell", 0xFFFFF5EE}, {L"Sienna", 0xFFA0522D},
    {L"Silver", 0xFFC0C0C0}, {L"SkyBlue", 0xFF87CEEB}, {L"SlateBlue", 0xFF6A5ACD},
    {L"SlateGray", 0xFF708090}, {L"Snow", 0xFFFFFAFA}, {L"SpringGreen", 0xFF00FF7F},
    {L"SteelBlue", 0xFF4682B4}, {L"Tan", 0xFFD2B48C}, {L"Teal", 0xFF008080},
    {L"Thistle", 0xFFD8BFD8}, {L"Tomato", 0xFFFF6347}, {L"Turquoise", 0xFF40E0D0},
    {L"Violet", 0xFFEE82EE}, {L"Wheat", 0xFFF5DEB3}, {L"White", 0xFFFFFFFF},
    {L"WhiteSmoke", 0xFFF5F5F5}, {L"Yellow", 0xFFFFFF00}, {L"YellowGreen", 0xFF9ACD32},
};
static_assert(std::size(NamedColorTable) == 141);

constexpr TdxAlphaColors::TSystemColorData SystemColorTable[] = {
    {L"ActiveBorder", COLOR_ACTIVEBORDER},
    {L"ActiveCaption", COLOR_ACTIVECAPTION},
    {L"ActiveCaptionText", COLOR_CAPTIONTEXT},
    {L"AppWorkspace", COLOR_APPWORKSPACE},
    {L"ButtonFace", COLOR_BTNFACE},
    {L"ButtonHighlight", COLOR_BTNHIGHLIGHT},
    {L"ButtonShadow", COLOR_BTNSHADOW},
    {L"Control", COLOR_BTNFACE},
    {L"ControlDark", COLOR_BTNSHADOW},
    {L"ControlDarkDark", COLOR_3DDKSHADOW},
    {L"ControlLight", COLOR_3DLIGHT},
    {L"ControlLightLight", COLOR_BTNHIGHLIGHT},
    {L"ControlText", COLOR_BTNTEXT},
    {L"Desktop", COLOR_BACKGROUND},
    {L"GradientActiveCaption", COLOR_GRADIENTACTIVECAPTION},
    {L"GradientInactiveCaption", COLOR_GRADIENTINACTIVECAPTION},
    {L"GrayText", COLOR_GRAYTEXT},
    {L"Highlight", COLOR_HIGHLIGHT},
    {L"HighlightText", COLOR_HIGHLIGHTTEXT},
    {L"HotTrack", COLOR_HOTLIGHT},
    {L"InactiveBorder", COLOR_INACTIVEBORDER},
    {L"InactiveCaption", COLOR_INACTIVECAPTION},
    {L"InactiveCaptionText", COLOR_INACTIVECAPTIONTEXT},
    {L"Info", COLOR_INFOBK},
    {L"InfoText", COLOR_INFOTEXT},
    {L"Menu", COLOR_MENU},
    {L"MenuBar", COLOR_MENUBAR},
    {L"MenuHighlight", COLOR_MENUHILIGHT},
    {L"MenuText", COLOR_MENUTEXT},
    {L"ScrollBar", COLOR_SCROLLBAR},
    {L"Window", COLOR_WINDOW},
    {L"WindowFrame", COLOR_WINDOWFRAME},
    {L"WindowText", COLOR_WINDOWTEXT},
};
constexpr int SystemColorCount = 33;
static_assert(std::size(SystemColorTable) == SystemColorCount);

// Row numbers of the table above.
enum : int {
  rActiveBorder, rActiveCaption, rActiveCaptionText, rAppWorkspace, rButtonFace, rButtonHighlight,
  rButtonShadow, rControl, rControlDark, rControlDarkDark, rControlLight, rControlLightLight, rControlText,
  rDesktop, rGradientActiveCaption, rGradientInactiveCaption, rGrayText, rHighlight, rHighlightText,
  rHotTrack, rInactiveBorder, rInactiveCaption, rInactiveCaptionText, rInfo, rInfoText, rMenu, rMenuBar,
  rMenuHighlight, rMenuText, rScrollBar, rWindow, rWindowFrame, rWindowText
};

struct TKeyword {
  const wchar_t* Name;
  int Row;
};

// The CSS system-colour keywords and the row each one reads.
constexpr TKeyword KeywordTable[] = {
    {L"activeborder", rActiveBorder}, {L"activecaption", rActiveCaption},
    {L"appworkspace", rAppWorkspace}, {L"background", rDesktop},
    {L"buttonface", rControl}, {L"buttonhighlight", rControlLightLight},
    {L"buttonshadow", rControlDark}, {L"buttontext", rControlText},
    {L"captiontext", rActiveCaptionText}, {L"graytext", rGrayText},
    {L"highlight", rHighlight}, {L"highlighttext", rHighlightText},
    {L"inactiveborder", rInactiveBorder}, {L"inactivecaption", rInactiveCaption},
    {L"inactivecaptiontext", rInactiveCaptionText}, {L"infobackground", rInfo},
    {L"infotext", rInfoText}, {L"menu", rMenu},
    {L"menutext", rMenuText}, {L"scrollbar", rScrollBar},
    {L"threeddarkshadow", rControlDarkDark}, {L"threedface", rControl},
    {L"threedhighlight", rControlLight}, {L"threedlightshadow", rControlLightLight},
    {L"window", rWindow}, {L"windowframe", rWindowFrame},
    {L"windowtext", rWindowText},
};
static_assert(std::size(KeywordTable) == 27);

constexpr TdxAlphaColor LightGrey = 0xFFD3D3D3;

// How ToText matches a keyword: one row, either of two rows, or a colour
// that both rows share.
enum class TMatch { One, Either, Both };

struct TKeywordMatch {
  const wchar_t* Name;
  TMatch Match;
  int Row1;
  int Row2;
};

constexpr TKeywordMatch KeywordMatchTable[] = {
    {L"activeborder", TMatch::One, rActiveBorder, 0},
    {L"activecaption", TMatch::Either, rGradientActiveCaption, rActiveCaption},
    {L"appworkspace", TMatch::One, rAppWorkspace, 0},
    {L"background", TMatch::One, rDesktop, 0},
    {L"buttonface", TMatch::Either, rControl, rControlLight},
    {L"buttonshadow", TMatch::One, rControlDark, 0},
    {L"buttontext", TMatch::One, rControlText, 0},
    {L"captiontext", TMatch::One, rActiveCaptionText, 0},
    {L"graytext", TMatch::One, rGrayText, 0},
    {L"highlight", TMatch::Both, rHotTrack, rHighlight},
    {L"highlighttext", TMatch::Both, rMenuHighlight, rHighlightText},
    {L"inactiveborder", TMatch::One, rInactiveBorder, 0},
    {L"inactivecaption", TMatch::Both, rGradientInactiveCaption, rInactiveCaption},
    {L"inactivecaptiontext", TMatch::One, rInactiveCaptionText, 0},
    {L"infobackground", TMatch::One, rInfo, 0},
    {L"infotext", TMatch::One, rInfoText, 0},
    {L"menu", TMatch::Both, rMenuBar, rMenu},
    {L"menutext", TMatch::One, rMenuText, 0},
    {L"scrollbar", TMatch::One, rScrollBar, 0},
    {L"threeddarkshadow", TMatch::One, rControlDarkDark, 0},
    {L"buttonhighlight", TMatch::One, rControlLightLight, 0},
    {L"window", TMatch::One, rWindow, 0},
    {L"windowframe", TMatch::One, rWindowFrame, 0},
    {L"windowtext", TMatch::One, rWindowText, 0},
};

using TColorDictionary = std::unordered_map<rtl::String, TdxAlphaColor>;

struct TColorTables {
  std::vector<TdxAlphaColors::TColorInfo> NamedColors;
  TColorDictionary NamedColorDictionary;
  TColorDictionary KeywordDictionary;
  std::array<TdxAlphaColor, SystemColorCount> SystemColors{};
  TdxAlphaColors::TUpdateSystemColorsListener* Listener = nullptr;
};

// Created by the unit's start-up, freed by its shut-down.
TColorTables* Tables;

TdxAlphaColor Lookup(const TColorDictionary& ADictionary, const rtl::String& AKey, bool& AFound)
{
  const auto item = ADictionary.find(AKey);
  AFound = item != ADictionary.end();
  return AFound ? item->second : 0;
}

bool Matches(const TKeywordMatch& AKeyword, TdxAlphaColor AColor)
{
  const auto& colors = Tables->SystemColors;
  switch (AKeyword.Match) {
    case TMatch::One:
      return AColor == colors[AKeyword.Row1];
    case TMatch::Either:
      return AColor == colors[AKeyword.Row1] || AColor == colors[AKeyword.Row2];
    case TMatch::Both:
      return AColor == colors[AKeyword.Row1] && AColor == colors[AKeyword.Row2];
  }
  return false;
}

std::uint8_t HexByte(const rtl::String& AHexDigits)
{
  return static_cast<std::uint8_t>(rtl::StrToInt(L"$" + AHexDigits));
}

void dxCoreGraphicsInitialization()
{
  TdxAlphaColors::Initialize();
}

void dxCoreGraphicsFinalization()
{
  TdxAlphaColors::Finalize();
}

}  // namespace

RTL_UNIT(dxCoreGraphics, &dxCoreGraphicsInitialization, &dxCoreGraphicsFinalization);

// ---------------------------------------------------------------------------
// Alpha colours

TdxAlphaColor dxMakeAlphaColor(std::uint8_t A, std::uint8_t R, std::uint8_t G, std::uint8_t B)
{
  return B | (G << 8) | (R << 16) | (static_cast<TdxAlphaColor>(A) << 24);
}

TdxAlphaColor dxColorToAlphaColor(vcl::TColor AColor, std::uint8_t AAlpha)
{
  if (AColor == vcl::clNone)
    return TdxAlphaColorEmpty;
  if (AColor == vcl::clDefault)
    return TdxAlphaColorDefault;
  return dxPackColorAndAlpha(AColor, AAlpha);
}

TdxAlphaColor dxMakeAlphaColor(vcl::TColor AColor, std::uint8_t AAlpha)
{
  return dxColorToAlphaColor(AColor, AAlpha);
}

std::uint32_t dxPackColorAndAlpha(vcl::TColor AColor, std::uint8_t AAlpha)
{
  const auto rgb = static_cast<COLORREF>(vcl::ColorToRGB(AColor));
  return dxMakeAlphaColor(AAlpha, GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

vcl::TColor dxAlphaColorToColorAndAlpha(TdxAlphaColor AColor, std::uint8_t& AAlpha)
{
  if (AColor == TdxAlphaColorEmpty || AColor == TdxAlphaColorDefault) {
    AAlpha = 0;
    return AColor == TdxAlphaColorEmpty ? vcl::clNone : vcl::clDefault;
  }
  const TdxAlphaColorBytes bytes = dxAlphaColorToBytes(AColor);
  AAlpha = bytes.A;
  return static_cast<vcl::TColor>(RGB(bytes.R, bytes.G, bytes.B));
}

vcl::TColor dxAlphaColorToColor(TdxAlphaColor AColor)
{
  std::uint8_t alpha;
  return dxAlphaColorToColorAndAlpha(AColor, alpha);
}

std::uint8_t dxGetAlpha(TdxAlphaColor AColor)
{
  return static_cast<std::uint8_t>(AColor >> 24);
}

std::uint32_t dxSwapRedAndBlue(std::uint32_t AColor)
{
  return (AColor & 0xFF00FF00) | ((AColor & 0xFF) << 16) | ((AColor >> 16) & 0xFF);
}

TdxAlphaColorBytes dxAlphaColorToBytes(TdxAlphaColor AColor)
{
  return {static_cast<std::uint8_t>(AColor), static_cast<std::uint8_t>(AColor >> 8),
          static_cast<std::uint8_t>(AColor >> 16), static_cast<std::uint8_t>(AColor >> 24)};
}

bool dxIsEmptyOrTransparentAlphaColor(TdxAlphaColor AColor)
{
  return AColor == TdxAlphaColorEmpty || AColor == TdxAlphaColorTransparentWhite;
}

// ---------------------------------------------------------------------------
// TdxAlphaColors

void TdxAlphaColors::Initialize()
{
  if (Tables)
    return;
  auto tables = std::make_unique<TColorTables>();
  tables->NamedColors.reserve(166);
  tables->NamedColorDictionary.reserve(168);
  for (const TNamedColor& item : NamedColorTable) {
    tables->NamedColorDictionary.emplace(rtl::LowerCase(item.Name), item.Color);
    tables->NamedColors.push_back({item.Color, item.Name});
  }
  tables->KeywordDictionary.reserve(28);
  for (const TKeyword& item : KeywordTable)
    tables->KeywordDictionary.emplace(item.Name, 0);
  tables->KeywordDictionary.emplace(L"lightgrey", LightGrey);
  Tables = tables.release();
  Tables->Listener = rtl::New<TUpdateSystemColorsListener>();
  RefreshSystemColors();
}

void TdxAlphaColors::Finalize()
{
  if (!Tables)
    return;
  rtl::Free(Tables->Listener);
  delete Tables;
  Tables = nullptr;
}

void TdxAlphaColors::RefreshSystemColors()
{
  if (!Tables)
    return;
  for (int row = 0; row < SystemColorCount; ++row) {
    const COLORREF color = GetSysColor(SystemColorTable[row].Index);
    const TdxAlphaColor value = dxMakeAlphaColor(255, GetRValue(color), GetGValue(color), GetBValue(color));
    Tables->SystemColors[row] = value;
    Tables->NamedColorDictionary[rtl::LowerCase(SystemColorTable[row].Name)] = value;
  }
  for (const TKeyword& item : KeywordTable)
    Tables->KeywordDictionary[item.Name] = Tables->SystemColors[item.Row];
}

TdxAlphaColors::TUpdateSystemColorsListener* TdxAlphaColors::Listener()
{
  return Tables ? Tables->Listener : nullptr;
}

const std::vector<TdxAlphaColors::TColorInfo>& TdxAlphaColors::NamedColors()
{
  static const std::vector<TColorInfo> none;
  return Tables ? Tables->NamedColors : none;
}

std::span<const TdxAlphaColors::TSystemColorData> TdxAlphaColors::SystemColorData()
{
  return SystemColorTable;
}

TdxAlphaColor TdxAlphaColors::SystemColor(int ARow)
{
  return Tables && ARow >= 0 && ARow < SystemColorCount ? Tables->SystemColors[ARow] : 0;
}

TdxAlphaColor TdxAlphaColors::FromText(const rtl::String& AText)
{
  if (AText.empty())
    return 0;
  if (AText[0] == L'#' && AText.size() == 7)
    return dxMakeAlphaColor(255, HexByte(AText.substr(1, 2)), HexByte(AText.substr(3, 2)), HexByte(AText.substr(5, 2)));
  if (AText[0] == L'#' && AText.size() == 4) {
    const auto doubled = [&](std::size_t AIndex) { return HexByte(rtl::String(2, AText[AIndex])); };
    return dxMakeAlphaColor(255, doubled(1), doubled(2), doubled(3));
  }
  if (!Tables)
    return 0;
  const rtl::String key = rtl::LowerCase(AText);
  bool found;
  const TdxAlphaColor keyword = Lookup(Tables->KeywordDictionary, key, found);
  if (found)
    return keyword;
  return Lookup(Tables->NamedColorDictionary, key, found);
}

rtl::String TdxAlphaColors::ToText(TdxAlphaColor AColor, bool AUseNames)
{
  if (AColor == 0)
    return {};
  if (AUseNames && Tables) {
    if (AColor == LightGrey)
      return L"LightGrey";
    for (const TColorInfo& item : Tables->NamedColors)
      if (item.Color == AColor)
        return item.Name;
    for (const TKeywordMatch& keyword : KeywordMatchTable)
      if (Matches(keyword, AColor))
        return keyword.Name;
  }
  const TdxAlphaColorBytes bytes = dxAlphaColorToBytes(AColor);
  return rtl::Format(L"#%.2x%.2x%.2x", {int{bytes.R}, int{bytes.G}, int{bytes.B}});
}

void TdxAlphaColors::TUpdateSystemColorsListener::Create()
{
  FHandle = rtl::AllocateHWnd(rtl::TWndMethod::Bind<&TUpdateSystemColorsListener::WndProc>(this));
}

void TdxAlphaColors::TUpdateSystemColorsListener::Destroy()
{
  rtl::DeallocateHWnd(FHandle);
  FHandle = nullptr;
  inherited::Destroy();
}

void TdxAlphaColors::TUpdateSystemColorsListener::WndProc(rtl::TMessage& AMessage)
{
  if (AMessage.Msg == WM_SYSCOLORCHANGE)
    RefreshSystemColors();
  AMessage.Result = DefWindowProcW(FHandle, AMessage.Msg, AMessage.WParam, AMessage.LParam);
}

// ---------------------------------------------------------------------------
// Palettes

void TdxCustomColorPalette::AfterConstruction()
{
  inherited::AfterConstruction();
  if (FAILED(CoCreateGuid(&FID)))
    rtl::RaiseLastOSError();
}

void TdxSimpleColorPalette::Create(TdxAlphaColor AFillColor, TdxAlphaColor AStrokeColor)
{
  FFillColor = AFillColor;
  FStrokeColor = AStrokeColor;
}

TdxAlphaColor __stdcall TdxSimpleColorPalette::GetFillColor(const rtl::String& /*ID*/)
{
  return FFillColor;
}

TdxAlphaColor __stdcall TdxSimpleColorPalette::GetStrokeColor(const rtl::String& /*ID*/)
{
  return FStrokeColor;
}

void dxGetColorPaletteID(IdxColorPalette* APalette, GUID& AID)
{
  AID = APalette ? APalette->GetID() : GUID{};
}

// ---------------------------------------------------------------------------
// Pixels and GDI object records

void dxInitBitmapInfoHeader32(BITMAPINFOHEADER& AHeader, int AWidth, int AHeight, bool ATopDown)
{
  AHeader = BITMAPINFOHEADER{};
  AHeader.biSize = sizeof(BITMAPINFOHEADER);
  AHeader.biWidth = AWidth;
  AHeader.biHeight = ATopDown ? -AHeight : AHeight;
  AHeader.biPlanes = 1;
  AHeader.biBitCount = 32;
  AHeader.biCompression = BI_RGB;
}

TdxAlphaState dxGetPixelsAlphaState(const RGBQUAD* APixels, int ACount)
{
  bool hasTransparent = false;
  bool hasOpaque = false;
  bool hasSemitransparent = false;
  for (int i = 0; i < ACount && !hasSemitransparent && !(hasTransparent && hasOpaque); ++i) {
    const BYTE alpha = APixels[i].rgbReserved;
    hasTransparent |= alpha == 0;
    hasOpaque |= alpha == 255;
    hasSemitransparent |= alpha != 0 && alpha != 255;
  }
  if (hasSemitransparent || (hasTransparent && hasOpaque))
    return asSemitransparent;
  return hasOpaque ? asOpaque : asNoAlpha;
}

TdxAlphaState dxGetPixelsAlphaState(const TRGBColors& AColors)
{
  return dxGetPixelsAlphaState(AColors.data(), static_cast<int>(AColors.size()));
}

void dxFillPixelsPremultiplied(RGBQUAD* APixels, int ACount, vcl::TColor AColor)
{
  const auto rgb = static_cast<COLORREF>(vcl::ColorToRGB(AColor));
  for (int i = 0; i < ACount; ++i) {
    RGBQUAD& pixel = APixels[i];
    pixel.rgbBlue = static_cast<BYTE>(MulDiv(GetBValue(rgb), pixel.rgbReserved, 255));
    pixel.rgbGreen = static_cast<BYTE>(MulDiv(GetGValue(rgb), pixel.rgbReserved, 255));
    pixel.rgbRed = static_cast<BYTE>(MulDiv(GetRValue(rgb), pixel.rgbReserved, 255));
  }
}

bool dxGetBitmapData(HBITMAP AHandle, BITMAP& ABitmap)
{
  return GetObjectW(AHandle, sizeof(BITMAP), &ABitmap) != 0;
}

bool dxGetBrushData(HBRUSH AHandle, LOGBRUSH& ABrush)
{
  return GetObjectW(AHandle, sizeof(LOGBRUSH), &ABrush) != 0;
}

bool dxGetFontData(HFONT AHandle, LOGFONTW& AFont)
{
  return GetObjectW(AHandle, sizeof(LOGFONTW), &AFont) != 0;
}

// ---------------------------------------------------------------------------
// Device-context text and clip helpers

void dxSaveClipRegion(HDC DC, HRGN& ARegion)
{
  vcl::TOwnedRegion region(CreateRectRgn(0, 0, 0, 0));
  ARegion = region && GetClipRgn(DC, region.Get()) == 1 ? region.Release() : nullptr;
}

void dxRestoreClipRegion(HDC DC, HRGN ARegion)
{
  const vcl::TOwnedRegion region(ARegion);
  SelectClipRgn(DC, region.Get());
}

namespace {

// Selects a font for the scope; nothing when the font is 0.
class TFontSelection {
 public:
  TFontSelection(HDC DC, HFONT AFont) : FDC(DC), FPrevious(AFont ? SelectObject(DC, AFont) : nullptr) {}
  ~TFontSelection()
  {
    if (FPrevious)
      SelectObject(FDC, FPrevious);
  }
  TFontSelection(const TFontSelection&) = delete;
  TFontSelection& operator=(const TFontSelection&) = delete;

 private:
  HDC FDC;
  HGDIOBJ FPrevious;
};

}  // namespace

void dxGetCharacterRects(HDC DC, const wchar_t* AText, int ACount, std::vector<RECT>& ARects, bool AReorder,
                         HFONT AFont, const RECT& ABounds)
{
  ARects.clear();
  if (ACount <= 0)
    return;
  TFontSelection font(DC, AFont);
  std::vector<int> dx(ACount);
  std::vector<UINT> order(AReorder ? ACount : 0);
  GCP_RESULTSW results{};
  results.lStructSize = sizeof(GCP_RESULTSW);
  results.nGlyphs = ACount;
  const DWORD flags = GCP_USEKERNING | GCP_LIGATE | (AReorder ? GCP_REORDER : 0);
  const int extra = std::max(1, ACount / 2);
  bool placed = false;
  // A text that shapes into more glyphs than characters needs larger
  // buffers than the first call offers.
  for (int attempt = 0; attempt < 3 && !placed; ++attempt) {
    if (attempt > 0) {
      dx.resize(dx.size() + extra);
      if (AReorder)
        order.resize(order.size() + extra);
      results.nGlyphs = static_cast<UINT>(dx.size());
    }
    results.lpDx = dx.data();
    results.lpOrder = AReorder ? order.data() : nullptr;
    placed = GetCharacterPlacementW(DC, AText, ACount, 0, &results, flags) != 0;
  }
  if (!placed)
    return;
  std::vector<RECT> built(ACount);
  int x = ABounds.left;
  for (int i = 0; i < ACount; ++i) {
    built[i] = {x, ABounds.top, x + dx[i], ABounds.bottom};
    x += dx[i];
  }
  if (!AReorder) {
    ARects = std::move(built);
    return;
  }
  // An order entry past the built rectangles (a glyph the text shaped into)
  // has no cell of its own; it gets an empty one instead of a wild read.
  ARects.resize(ACount);
  for (int j = 0; j < ACount; ++j)
    ARects[j] = order[j] < static_cast<UINT>(ACount) ? built[order[j]] : RECT{};
}

HRGN dxGetCharacterRangeRegion(HDC DC, const wchar_t* AText, int ACount, bool AReorder, HFONT AFont, int ALength,
                               int AStart, const RECT& ABounds)
{
  if (ALength <= 0 || ACount < AStart)
    return nullptr;
  std::vector<RECT> rects;
  dxGetCharacterRects(DC, AText, ACount, rects, AReorder, AFont, ABounds);
  if (rects.empty())
    return nullptr;
  vcl::TOwnedRegion result;
  const int last = std::min(ACount, ALength + AStart) - 1;
  for (int i = std::max(0, AStart); i <= last; ++i) {
    const RECT& R = rects[i];
    if (R.left >= R.right)
      continue;
    vcl::TOwnedRegion part(CreateRectRgnIndirect(&R));
    if (!result)
      result = std::move(part);
    else
      CombineRgn(result.Get(), result.Get(), part.Get(), RGN_OR);
  }
  return result.Release();
}
