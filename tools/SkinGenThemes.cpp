#include "tools/SkinGenThemes.h"

#include <algorithm>
#include <array>
#include <sstream>
#include <stdexcept>

namespace skingen {

namespace {

// The sRGB curve in millionths: the linear value of each 8-bit channel.
constexpr std::array<int, 256> SrgbToLinear = {
    0, 304, 607, 911, 1214, 1518, 1821, 2125, 2428, 2732, 3035, 3347,
    3677, 4025, 4391, 4777, 5182, 5605, 6049, 6512, 6995, 7499, 8023, 8568,
    9134, 9721, 10330, 10960, 11612, 12286, 12983, 13702, 14444, 15209, 15996, 16807,
    17642, 18500, 19382, 20289, 21219, 22174, 23153, 24158, 25187, 26241, 27321, 28426,
    29557, 30713, 31896, 33105, 34340, 35601, 36889, 38204, 39546, 40915, 42311, 43735,
    45186, 46665, 48172, 49707, 51269, 52861, 54480, 56128, 57805, 59511, 61246, 63010,
    64803, 66626, 68478, 70360, 72272, 74214, 76185, 78187, 80220, 82283, 84376, 86500,
    88656, 90842, 93059, 95307, 97587, 99899, 102242, 104616, 107023, 109462, 111932, 114435,
    116971, 119538, 122139, 124772, 127438, 130136, 132868, 135633, 138432, 141263, 144128, 147027,
    149960, 152926, 155926, 158961, 162029, 165132, 168269, 171441, 174647, 177888, 181164, 184475,
    187821, 191202, 194618, 198069, 201556, 205079, 208637, 212231, 215861, 219526, 223228, 226966,
    230740, 234551, 238398, 242281, 246201, 250158, 254152, 258183, 262251, 266356, 270498, 274677,
    278894, 283149, 287441, 291771, 296138, 300544, 304987, 309469, 313989, 318547, 323143, 327778,
    332452, 337164, 341914, 346704, 351533, 356400, 361307, 366253, 371238, 376262, 381326, 386429,
    391572, 396755, 401978, 407240, 412543, 417885, 423268, 428690, 434154, 439657, 445201, 450786,
    456411, 462077, 467784, 473531, 479320, 485150, 491021, 496933, 502886, 508881, 514918, 520996,
    527115, 533276, 539479, 545724, 552011, 558340, 564712, 571125, 577580, 584078, 590619, 597202,
    603827, 610496, 617207, 623960, 630757, 637597, 644480, 651406, 658375, 665387, 672443, 679542,
    686685, 693872, 701102, 708376, 715694, 723055, 730461, 737910, 745404, 752942, 760525, 768151,
    775822, 783538, 791298, 799103, 806952, 814847, 822786, 830770, 838799, 846873, 854993, 863157,
    871367, 879622, 887923, 896269, 904661, 913099, 921582, 930111, 938686, 947307, 955973, 964686,
    973445, 982251, 991102, 1000000,
};

constexpr TRgb Black = 0x000000, White = 0xFFFFFF;

int Channel(TRgb AColor, int AShift)
{
  return static_cast<int>((AColor >> AShift) & 0xFF);
}

bool ReadableOnAll(TRgb AText, const std::vector<TRgb>& ABackgrounds, int AMinimum100)
{
  for (TRgb bg : ABackgrounds)
    if (ContrastRatio100(AText, bg) < AMinimum100)
      return false;
  return true;
}

int WorstContrast(TRgb AText, const std::vector<TRgb>& ABackgrounds)
{
  int worst = 2100;
  for (TRgb bg : ABackgrounds)
    worst = std::min(worst, ContrastRatio100(AText, bg));
  return worst;
}

TRgb ParseColor(const std::string& AText, int ALine)
{
  std::size_t used = 0;
  unsigned long value = 0;
  try {
    value = std::stoul(AText, &used, 16);
  } catch (const std::exception&) {
    used = 0;
  }
  if (AText.size() != 6 || used != 6)
    throw std::runtime_error("line " + std::to_string(ALine) + ": \"" + AText + "\" is no RRGGBB colour");
  return static_cast<TRgb>(value);
}

// The quoted text at APos (which must start with a quote); APos moves past it.
std::string ReadQuoted(const std::string& ALine, std::size_t& APos, int ALineNumber)
{
  const std::size_t open = ALine.find('"', APos);
  const std::size_t close = open == std::string::npos ? open : ALine.find('"', open + 1);
  if (close == std::string::npos)
    throw std::runtime_error("line " + std::to_string(ALineNumber) + ": a quoted name is missing");
  APos = close + 1;
  return ALine.substr(open + 1, close - open - 1);
}

// [D] Win Face Edit Line Acc Txt Cap, from the words of a row.
TThemeColors ReadColors(std::istringstream& AWords, int ALine)
{
  TThemeColors colors;
  std::string word;
  AWords >> word;
  if (word == "D") {
    colors.Dark = true;
    AWords >> word;
  }
  std::array<TRgb*, 5> first = {&colors.Win, &colors.Face, &colors.Edit, &colors.Line, &colors.Acc};
  for (std::size_t i = 0; i < first.size(); ++i) {
    if (i > 0)
      AWords >> word;
    *first[i] = ParseColor(word, ALine);
  }
  AWords >> word;
  colors.Txt = ParseColor(word, ALine);
  AWords >> word;
  colors.Cap = word == "=Acc" ? colors.Acc : ParseColor(word, ALine);
  return colors;
}

std::vector<std::string> SplitList(const std::string& AText)
{
  std::vector<std::string> items;
  std::istringstream in(AText);
  std::string item;
  while (std::getline(in, item, ','))
    items.push_back(item);
  return items;
}

TThemeStyle ParseStyle(const std::string& AWord, int ALine)
{
  if (AWord == "F")
    return TThemeStyle::Flat;
  if (AWord == "S")
    return TThemeStyle::Soft;
  if (AWord == "G")
    return TThemeStyle::Glossy;
  if (AWord == "V")
    return TThemeStyle::Vector;
  throw std::runtime_error("line " + std::to_string(ALine) + ": unknown style \"" + AWord + "\"");
}

std::string GroupNameOf(const std::string& AWord, int ALine)
{
  if (AWord == "Standard" || AWord == "Office" || AWord == "Vector")
    return AWord + " Skins";
  if (AWord == "-")
    return {};
  throw std::runtime_error("line " + std::to_string(ALine) + ": unknown group \"" + AWord + "\"");
}

}  // namespace

TRgb Mix(TRgb A, TRgb B, int APercent)
{
  TRgb result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int value = (Channel(A, shift) * (100 - APercent) + Channel(B, shift) * APercent + 50) / 100;
    result |= static_cast<TRgb>(value) << shift;
  }
  return result;
}

int Luminance(TRgb AColor)
{
  const long long y = 2126LL * SrgbToLinear[Channel(AColor, 16)] + 7152LL * SrgbToLinear[Channel(AColor, 8)] +
                      722LL * SrgbToLinear[Channel(AColor, 0)];
  return static_cast<int>((y + 5000) / 10000);
}

int ContrastRatio100(TRgb A, TRgb B)
{
  long long la = Luminance(A) + 50000, lb = Luminance(B) + 50000;
  if (la < lb)
    std::swap(la, lb);
  return static_cast<int>(la * 100 / lb);
}

TRgb On(const std::vector<TRgb>& ABackgrounds, TRgb APreferred)
{
  if (ReadableOnAll(APreferred, ABackgrounds, 450))
    return APreferred;
  const bool light = Luminance(ABackgrounds.front()) > 180000;
  const TRgb nearInk = light ? 0x1E1E1E : 0xF0F0F0;
  if (ReadableOnAll(nearInk, ABackgrounds, 450))
    return nearInk;
  for (TRgb ink : {light ? Black : White, light ? White : Black})
    if (ReadableOnAll(ink, ABackgrounds, 450))
      return ink;
  return WorstContrast(Black, ABackgrounds) >= WorstContrast(White, ABackgrounds) ? Black : White;
}

// The colours of the rows of a shaded face that text covers (its middle
// half), the face's own colour first: text must be readable on each.
std::vector<TRgb> Shades(TRgb AColor, TThemeStyle AStyle)
{
  switch (AStyle) {
    case TThemeStyle::Soft:
      return {AColor, Mix(AColor, White, 22), Mix(AColor, White, 8)};
    case TThemeStyle::Glossy:
      return {AColor, Mix(AColor, White, 20), Mix(AColor, Black, 8)};
    default:
      return {AColor};
  }
}

std::vector<TRgb> Joined(std::vector<TRgb> A, const std::vector<TRgb>& B)
{
  A.insert(A.end(), B.begin(), B.end());
  return A;
}

bool HasReadableInk(const std::vector<TRgb>& ABackgrounds, TRgb APreferred)
{
  return ReadableOnAll(On(ABackgrounds, APreferred), ABackgrounds, 450);
}

// The accent share of a face mixed from ABase towards AAccent: the given
// share, or less where no text colour would be readable on the face and on
// the faces that share its text (APartners). A mid-tone face reads badly
// in both black and white.
int ReadableShare(TRgb ABase, TRgb AAccent, int APercent, TThemeStyle AStyle, const std::vector<TRgb>& APartners,
                  TRgb APreferred)
{
  while (APercent > 0 &&
         !HasReadableInk(Joined(Shades(Mix(ABase, AAccent, APercent), AStyle), APartners), APreferred))
    APercent -= 5;
  return APercent;
}

// The text faded towards the face it is drawn on (the first background) as
// far as it stays at 3.0 on every background.
TRgb Fade(TRgb AText, const std::vector<TRgb>& ABackgrounds)
{
  for (int p = 60; p > 0; p -= 5) {
    const TRgb faded = Mix(AText, ABackgrounds.front(), p);
    if (ReadableOnAll(faded, ABackgrounds, 300))
      return faded;
  }
  return AText;
}

int TTheme::Radius() const
{
  switch (Style) {
    case TThemeStyle::Flat:
      return 0;
    case TThemeStyle::Glossy:
      return 3;
    default:
      return 2;
  }
}

int TTheme::FrameWidth() const
{
  switch (Style) {
    case TThemeStyle::Soft:
      return 5;
    case TThemeStyle::Glossy:
      return 6;
    default:
      return 4;
  }
}

std::vector<TTheme> ReadThemeTable(const std::string& AText)
{
  std::vector<TTheme> themes;
  std::istringstream lines(AText);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string::npos || line[first] == '#')
      continue;
    std::size_t pos = first;
    if (line.compare(first, 8, "palette ") == 0) {
      if (themes.empty() || !themes.back().IsVector())
        throw std::runtime_error("line " + std::to_string(number) + ": a palette outside a vector skin");
      TThemePalette palette;
      palette.Name = ReadQuoted(line, pos, number);
      std::istringstream words(line.substr(pos));
      palette.Colors = ReadColors(words, number);
      themes.back().Palettes.push_back(palette);
      continue;
    }
    TTheme theme;
    theme.Name = line.substr(first, line.find(' ', first) - first);
    theme.DisplayName = ReadQuoted(line, pos, number);
    std::istringstream words(line.substr(pos));
    std::string word;
    words >> word;
    theme.GroupName = GroupNameOf(word, number);
    words >> word;
    theme.Style = ParseStyle(word, number);
    theme.Colors = ReadColors(words, number);
    if (!words)
      throw std::runtime_error("line " + std::to_string(number) + ": the row ends early");
    while (words >> word) {
      if (word.rfind("glyphs=", 0) == 0)
        theme.GlyphPalettes = SplitList(word.substr(7));
      else
        throw std::runtime_error("line " + std::to_string(number) + ": unknown option \"" + word + "\"");
    }
    themes.push_back(theme);
  }
  return themes;
}

TRoles DeriveRoles(const TThemeColors& C, TThemeStyle AStyle, bool AHighContrast)
{
  TRoles r;
  const auto shades = [AStyle](TRgb AColor) { return Shades(AColor, AStyle); };
  const auto accented = [&](int APercent, const std::vector<TRgb>& APartners) {
    return Mix(C.Face, C.Acc, ReadableShare(C.Face, C.Acc, APercent, AStyle, APartners, C.Txt));
  };
  r["Win"] = C.Win;
  r["Face"] = C.Face;
  r["FaceHot"] = accented(20, {});
  r["FacePressed"] = accented(45, {});
  r["FaceChecked"] = accented(35, shades(C.Face));
  r["FaceHotCheck"] = accented(55, shades(r["FaceHot"]));
  r["FaceCheckPressed"] = accented(65, shades(r["FacePressed"]));
  r["FaceDisabled"] = Mix(C.Face, C.Win, 60);
  r["CapInactive"] = Mix(C.Cap, C.Win, 40);
  r["Edit"] = C.Edit;
  r["EditReadOnly"] = Mix(C.Edit, C.Win, 25);
  r["EditDisabled"] = Mix(C.Edit, C.Win, 50);
  r["Line"] = C.Line;
  r["LineHot"] = C.Acc;
  r["LineDisabled"] = Mix(C.Line, C.Win, 50);
  r["Acc"] = C.Acc;
  r["Cap"] = C.Cap;
  r["Track"] = Mix(C.Win, C.Line, 50);
  r["Thumb"] = Mix(C.Face, C.Txt, 20);
  r["ThumbHot"] = Mix(C.Face, C.Txt, 35);
  r["ThumbPressed"] = Mix(C.Face, C.Txt, 50);
  r["ContentOdd"] = Mix(C.Edit, C.Face, 30);
  r["Inactive"] = Mix(C.Edit, C.Line, 40);
  r["CloseHot"] = AStyle == TThemeStyle::Flat ? 0xE81123 : r["FaceHot"];
  if (AHighContrast) {
    r["FaceHot"] = r["FaceHotCheck"] = Black;
    r["LineHot"] = 0xFFFF00;
    r["FacePressed"] = r["FaceCheckPressed"] = r["FaceChecked"] = 0xFFFF00;
    r["CloseHot"] = Black;
  }

  r["FaceTxt"] = On(Joined(shades(r["Face"]), shades(r["FaceChecked"])), C.Txt);
  r["FaceTxtHot"] = On(Joined(shades(r["FaceHot"]), shades(r["FaceHotCheck"])), C.Txt);
  r["FaceTxtPressed"] = On(Joined(shades(r["FacePressed"]), shades(r["FaceCheckPressed"])), C.Txt);
  r["CloseHotTxt"] = On(shades(r["CloseHot"]), White);
  r["EditTxt"] = On({C.Edit, r["EditReadOnly"], C.Win}, C.Txt);
  r["WinTxt"] = On({C.Win}, C.Txt);
  r["SelTxt"] = On({C.Acc}, White);
  r["CapTxt"] = On(shades(C.Cap), C.Txt);
  r["InactiveTxt"] = On({r["Inactive"]}, C.Txt);
  r["TrackTxt"] = On(Joined(shades(r["Track"]), shades(C.Face)), C.Txt);
  const TRgb inactiveCapTxt = On(shades(r["CapInactive"]), C.Txt);
  if (AHighContrast) {
    r["FaceTxtDisabled"] = r["EditTxtDisabled"] = r["WinTxtDisabled"] = r["CapTxtInactive"] = 0x3FF23F;
  } else {
    r["FaceTxtDisabled"] = Fade(r["FaceTxt"], shades(r["FaceDisabled"]));
    r["EditTxtDisabled"] = Fade(r["EditTxt"], {r["EditDisabled"]});
    r["WinTxtDisabled"] = Fade(r["WinTxt"], {C.Win});
    r["CapTxtInactive"] = Fade(inactiveCapTxt, shades(r["CapInactive"]));
  }
  r["EditTxtInactive"] = r["EditTxt"];
  r["EditTxtReadOnly"] = r["EditTxt"];

  // Glyph colours: the symbol classes of vector glyphs; dark themes lighten
  // them so they stay readable.
  const auto glyph = [&](TRgb AColor) { return C.Dark ? Mix(AColor, White, 30) : AColor; };
  r["GlyphBlue"] = glyph(0x1E6FD9);
  r["GlyphGreen"] = glyph(0x2E9E44);
  r["GlyphRed"] = glyph(0xD83B3B);
  r["GlyphYellow"] = glyph(0xE8A317);
  return r;
}

}  // namespace skingen
