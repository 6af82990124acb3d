#pragma once
// The themes of the skin generator: the rows of the theme table and the
// colour roles derived from them with integer arithmetic only.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace skingen {

// 0xRRGGBB.
using TRgb = std::uint32_t;

// Per channel (A(100 - P) + B P + 50) div 100.
TRgb Mix(TRgb A, TRgb B, int APercent);
// Relative luminance in millionths, from a table of the sRGB curve.
int Luminance(TRgb AColor);
// The contrast ratio of two colours, times 100.
int ContrastRatio100(TRgb A, TRgb B);
// The first of APreferred, a near ink and a pure ink readable at 4.5:1 on
// every one of ABackgrounds; the best pure ink when none is.
TRgb On(const std::vector<TRgb>& ABackgrounds, TRgb APreferred);
// AText moved toward the first of ABackgrounds as far as 3:1 on every one
// of them allows.
TRgb Fade(TRgb AText, const std::vector<TRgb>& ABackgrounds);

// One palette of a theme: the seven colours of a row.
struct TThemeColors {
  bool Dark = false;
  TRgb Win = 0, Face = 0, Edit = 0, Line = 0, Acc = 0, Txt = 0, Cap = 0;
};

struct TThemePalette {
  std::string Name;
  TThemeColors Colors;
};

enum class TThemeStyle { Flat, Soft, Glossy, Vector };

struct TTheme {
  std::string Name;
  std::string DisplayName;
  std::string GroupName;
  TThemeStyle Style = TThemeStyle::Flat;
  TThemeColors Colors;
  // Vector skins: the palettes besides "Default" (the row itself).
  std::vector<TThemePalette> Palettes;
  // The states of the default glyph palettes; empty: none.
  std::vector<std::string> GlyphPalettes;

  bool IsVector() const { return Style == TThemeStyle::Vector; }
  bool IsUserSkin() const { return GroupName.empty(); }
  int Radius() const;
  int FrameWidth() const;
};

// Reads the theme table; a malformed row raises std::runtime_error naming
// its line.
std::vector<TTheme> ReadThemeTable(const std::string& AText);

// The named colours of a palette, derived from its row: Win, Face, FaceHot,
// ..., FaceTxt, EditTxt, SelTxt, CapTxt, ... Every colour the generator
// writes is one of these roles.
using TRoles = std::map<std::string, TRgb>;
TRoles DeriveRoles(const TThemeColors& AColors, TThemeStyle AStyle, bool AHighContrast);

}  // namespace skingen
