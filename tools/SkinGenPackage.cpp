#include "tools/SkinGenPackage.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/cxGeometry.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "platform/rtl/ClassesStreams.h"
#include "skins/dxSkinsCore.h"
#include "tools/SkinGenCatalogue.h"
#include "tools/SkinGenRaster.h"

namespace skingen {

namespace {

using TState = TdxSkinElementState;
using TMask = std::vector<std::string_view>;

rtl::String Wide(std::string_view AText)
{
  return rtl::String(AText.begin(), AText.end());
}

std::vector<std::string> Words(std::string_view AText, char ASeparator = ' ')
{
  std::vector<std::string> words;
  std::string word;
  std::istringstream in{std::string(AText)};
  while (std::getline(in, word, ASeparator))
    if (!word.empty())
      words.push_back(word);
  return words;
}

TSize ParseSize(const std::string& AText, int AFrameWidth)
{
  const std::vector<std::string> parts = Words(AText, ',');
  const auto value = [&](const std::string& s) { return s == "W" ? AFrameWidth : std::stoi(s); };
  if (parts.size() != 2)
    throw std::runtime_error("a size needs two values: " + AText);
  return {value(parts[0]), value(parts[1])};
}

TRect ParseOffsets(const std::string& AText)
{
  const std::vector<std::string> parts = Words(AText, ',');
  if (parts.size() == 1) {
    const int v = std::stoi(parts[0]);
    return {v, v, v, v};
  }
  if (parts.size() != 4)
    throw std::runtime_error("content offsets need one or four values: " + AText);
  return {std::stoi(parts[0]), std::stoi(parts[1]), std::stoi(parts[2]), std::stoi(parts[3])};
}

TdxSkinElementStates ParseStates(const std::string& AText)
{
  using enum TdxSkinElementState;
  static const std::map<std::string, TdxSkinElementStates> Sets = {
      {"BM", {esActive, esNormal, esHot, esPressed, esDisabled}},
      {"4S", {esNormal, esHot, esPressed, esDisabled}},
      {"TS", {esNormal, esHot, esPressed, esDisabled}},
      {"FR", {esActive, esActiveDisabled}},
      {"CB", {esNormal, esHot, esPressed, esActiveDisabled}},
      {"GS", {esNormal, esHot, esPressed, esDisabled, esChecked, esHotCheck, esCheckPressed}},
  };
  static const std::map<std::string, TdxSkinElementState> Single = {
      {"N", esNormal},   {"H", esHot},         {"P", esPressed},       {"D", esDisabled},
      {"Active", esActive}, {"Focused", esFocused}, {"Checked", esChecked}, {"HotCheck", esHotCheck},
      {"ActiveDisabled", esActiveDisabled}, {"CheckPressed", esCheckPressed},
  };
  if (const auto set = Sets.find(AText); set != Sets.end())
    return set->second;
  TdxSkinElementStates states;
  for (const std::string& name : Words(AText, '+')) {
    const auto state = Single.find(name);
    if (state == Single.end())
      throw std::runtime_error("unknown state " + name);
    states.Include(state->second);
  }
  return states;
}

std::vector<TState> StatesInOrder(TdxSkinElementStates AStates)
{
  std::vector<TState> order;
  for (int i = 0; i < dxSkinElementStateCount; ++i)
    if (AStates.Contains(static_cast<TState>(i)))
      order.push_back(static_cast<TState>(i));
  return order;
}

// The options of a catalogue row, by name; flags map to "".
struct TRowOptions {
  std::map<std::string, std::string> Values;
  std::vector<std::pair<std::string, std::string>> Properties;  // "c:", "a:", "i:" in order

  explicit TRowOptions(std::string_view AText)
  {
    for (const std::string& word : Words(AText)) {
      if (word.size() > 2 && word[1] == ':') {
        Properties.emplace_back(word.substr(0, 2), word.substr(2));
        continue;
      }
      const std::size_t eq = word.find('=');
      Values[word.substr(0, eq)] = eq == std::string::npos ? std::string() : word.substr(eq + 1);
    }
  }
  bool Has(const std::string& AName) const { return Values.count(AName) != 0; }
  std::string Get(const std::string& AName, const std::string& ADefault = {}) const
  {
    const auto it = Values.find(AName);
    return it == Values.end() ? ADefault : it->second;
  }
};

// ---------------------------------------------------------------------------
// Symbols: crisp at 7 to 13 pixels.

const std::map<std::string_view, TMask>& Masks()
{
  static const std::map<std::string_view, TMask> masks = {
      {"close", {"##....##", "###..###", ".######.", "..####..", "..####..", ".######.", "###..###", "##....##"}},
      {"min", {"........", "........", "........", "........", "........", "........", "########", "########"}},
      {"max", {"########", "########", "#......#", "#......#", "#......#", "#......#", "#......#", "########"}},
      {"restore",
       {"..######", "..######", "..#....#", "######.#", "######.#", "#....###", "#....#..", "######.."}},
      {"help", {".####.", "##..##", "....##", "...##.", "..##..", "..##..", "......", "..##.."}},
      {"plus", {"...#...", "...#...", "...#...", "#######", "...#...", "...#...", "...#..."}},
      {"minus", {"#######"}},
      {"check", {"........#", ".......##", "#.....##.", "##...##..", ".##.##...", "..###....", "...#....."}},
      {"grip", {"##..##..##", "##..##..##", "..........", "..........", "##..##..##", "##..##..##"}},
      {"pin", {"..###..", ".#####.", ".#####.", "..###..", "...#...", "...#...", "...#..."}},
      {"star", {"....#....", "...###...", "#########", ".#######.", "..#####..", ".###.###.", ".##...##."}},
      {"search", {".####...", "##..##..", "#....#..", "#....#..", "##..##..", ".#####..", ".....##.", "......##"}},
      {"filter", {"#########", ".#######.", "..#####..", "...###...", "...###...", "...###...", "...##...."}},
      {"edit", {"......##", ".....###", "....###.", "...###..", "..###...", ".###....", "##......", "#......."}},
      {"diamond", {"...#...", "..###..", ".#####.", "#######", ".#####.", "..###..", "...#..."}},
      {"sort", {"#......", "##.....", "###....", "####...", "###....", "##.....", "#......"}},
      {"first", {"#.....#", "#....##", "#...###", "#..####", "#...###", "#....##", "#.....#"}},
      {"last", {"#.....#", "##....#", "###...#", "####..#", "###...#", "##....#", "#.....#"}},
      {"pageprev", {"...#..#", "..##.##", ".######", "#######", ".######", "..##.##", "...#..#"}},
      {"pagenext", {"#..#...", "##.##..", "######.", "#######", "######.", "##.##..", "#..#..."}},
      {"refresh", {"..####.", ".#....#", "#......", "#......", "#....#.", ".#..###", "..####."}},
      {"bookmark", {"#####", "#####", "#####", "#####", "##.##", "#...#"}},
      {"goto", {"...#...", "...##..", "#######", "#######", "...##..", "...#..."}},
      {"more", {"##.##.##", "##.##.##"}},
      {"dot", {".###.", "#####", "#####", "#####", ".###."}},
  };
  return masks;
}

// A filled triangle pointing in ADirection, centred in the box.
void DrawArrow(TPicture& APicture, int X, int Y, int W, int H, const std::string& ADirection, TArgb AColor)
{
  const bool vertical = ADirection == "up" || ADirection == "down";
  const int span = vertical ? W : H;
  const int depth = (std::min(span, 7) + 1) / 2;
  const int base = 2 * depth - 1;
  for (int i = 0; i < depth; ++i) {
    const int row = ADirection == "down" || ADirection == "right" ? i : depth - 1 - i;
    const int width = base - 2 * i;
    for (int j = 0; j < width; ++j) {
      const int along = i + j;
      if (vertical)
        APicture.Blend(X + (W - base) / 2 + along, Y + (H - depth) / 2 + row, AColor);
      else
        APicture.Blend(X + (W - depth) / 2 + row, Y + (H - base) / 2 + along, AColor);
    }
  }
}

struct TSymbolInks {
  TArgb Ink;
  TArgb Face;
  TArgb Border;
  TArgb Accent;
};

void DrawSymbol(TPicture& P, int X, int Y, int W, int H, const std::string& AName, const TSymbolInks& C)
{
  if (AName == "up" || AName == "down" || AName == "left" || AName == "right") {
    DrawArrow(P, X, Y, W, H, AName, C.Ink);
  } else if (AName == "box" || AName == "gray" || (AName == "check" && W == H && W >= 13)) {
    P.FillRoundRect(X, Y, W, H, 0, C.Border);
    P.FillRoundRect(X + 1, Y + 1, W - 2, H - 2, 0, C.Face);
    if (AName == "gray")
      P.Fill(X + 3, Y + 3, W - 6, H - 6, C.Accent);
    if (AName == "check")
      P.DrawMask(X, Y, W, H, Masks().at("check"), C.Ink);
  } else if (AName == "ring" || AName == "dot" ) {
    if (AName == "dot" && W < 13) {
      P.DrawMask(X, Y, W, H, Masks().at("dot"), C.Ink);
      return;
    }
    P.FillEllipse(X, Y, W, H, C.Border);
    P.FillEllipse(X + 1, Y + 1, W - 2, H - 2, C.Face);
    if (AName == "dot")
      P.FillEllipse(X + 4, Y + 4, W - 8, H - 8, C.Ink);
  } else if (AName == "thumb" || AName == "fill") {
    P.FillRoundRect(X, Y, W, H, 2, C.Border);
    P.FillRoundRect(X + 1, Y + 1, W - 2, H - 2, 1, C.Face);
  } else if (AName == "clock" || AName == "glass") {
    if (AName == "clock") {
      P.FillEllipse(X, Y, W, H, C.Border);
      P.FillEllipse(X + 2, Y + 2, W - 4, H - 4, C.Face);
      for (int i = 0; i < 4; ++i) {
        const int cx = X + W / 2, cy = Y + H / 2;
        const int dx[] = {0, W / 2 - 5, 0, -(W / 2 - 5)}, dy[] = {-(H / 2 - 5), 0, H / 2 - 5, 0};
        P.Fill(cx + dx[i] - 1, cy + dy[i] - 1, 2, 2, C.Ink);
      }
    } else {
      P.FillEllipse(X + 2, Y + 2, W - 4, H / 2 - 2, (C.Face & 0xFFFFFF) | 0x40000000u);
    }
  } else if (const auto mask = Masks().find(AName); mask != Masks().end()) {
    P.DrawMask(X, Y, W, H, mask->second, C.Ink);
  } else {
    throw std::runtime_error("no symbol named " + AName);
  }
}

// ---------------------------------------------------------------------------
// The builder of one skin

class TSkinBuilder {
 public:
  explicit TSkinBuilder(const TTheme& ATheme)
      : FTheme(ATheme),
        FRoles(DeriveRoles(ATheme.Colors, ATheme.Style, ATheme.Name == "HighContrast")),
        FFlatFrames(ATheme.Style == TThemeStyle::Flat || ATheme.IsVector())
  {
  }

  TdxSkin* Build();

 private:
  TRgb Role(const std::string& AName) const
  {
    const auto it = FRoles.find(AName);
    if (it == FRoles.end())
      throw std::runtime_error("no colour role named " + AName);
    return it->second;
  }
  TArgb Pixel(const std::string& ARole) const { return Opaque(Role(ARole)); }
  static vcl::TColor ToColor(TRgb ARgb)
  {
    return static_cast<vcl::TColor>((ARgb & 0xFF) << 16 | (ARgb & 0xFF00) | (ARgb >> 16 & 0xFF));
  }
  // Vector skins refer to the palette's role; the others hold the value.
  void SetColor(TdxSkinColorValue& AValue, const std::string& ARole) const;
  void AddColor(TdxSkinPersistent* AOwner, const std::string& AName, const std::string& ARole, int AAlpha);

  void WriteDetails(TdxSkin* ASkin) const;
  void WritePalettes(TdxSkin* ASkin) const;
  void WriteGlyphPalettes(TdxSkin* ASkin) const;
  void WriteRow(TdxSkinControlGroup* AGroup, const TCatalogueRow& ARow, const std::string& AName);

  void WritePlain(TdxSkinElement* AElement, const TCatalogueRow& ARow, const TRowOptions& AOptions);
  void WriteFace(TdxSkinElement* AElement, const TCatalogueRow& ARow, const TRowOptions& AOptions);
  // ASurfaceInk: the ink of a glyph drawn where its element leaves the
  // surface beneath showing (a transparent normal state); empty for a face.
  void WritePicture(TdxSkinImage* AImage, TdxSkinElementStates AStates, const std::vector<std::string>& ASymbols,
                    TSize AFrame, bool AOnFace, const std::string& AName, const std::string& ASurfaceInk = {});
  void WriteBand(TdxSkinElement* AElement, const TRowOptions& AOptions, const std::string& AName);
  void WriteBorders(TdxSkinElement* AElement, const std::string& ARole, int AThin);
  void SetBorderColor(TdxSkinBorder* ABorder, const std::string& ARole) const;
  // The fill (with full alpha) or the text colour of an element.
  void SetElementColor(TdxSkinElement* AElement, const std::string& ARole, bool AText) const;

  std::string FaceRole(const std::string& ABase, TState AState) const;
  std::string BorderRole(TState AState) const;
  std::string TextRole(TState AState) const;
  TArgb ShadeRow(TRgb AColor, int ARow, int AHeight) const;
  void LoadTexture(TdxSkinImage* AImage, const TPicture& APicture) const;

  const TTheme& FTheme;
  const TRoles FRoles;
  bool FFlatFrames;
};

void TSkinBuilder::SetColor(TdxSkinColorValue& AValue, const std::string& ARole) const
{
  if (ARole == "none")
    AValue.SetValue(vcl::clNone);
  else if (FTheme.IsVector())
    AValue.SetValueReference(Wide(ARole));
  else
    AValue.SetValue(ToColor(Role(ARole)));
}

void TSkinBuilder::AddColor(TdxSkinPersistent* AOwner, const std::string& AName, const std::string& ARole, int AAlpha)
{
  Role(ARole == "none" ? "Win" : ARole);  // an unknown role is a fault of the catalogue
  auto* color = static_cast<TdxSkinColor*>(AOwner->AddPropertyColor(Wide(AName), vcl::clDefault));
  SetColor(color->ColorValue(), ARole);
  if (AAlpha != 255)
    AOwner->AddPropertyInteger(Wide(AName + "Alpha"), AAlpha);
}

void TSkinBuilder::WriteDetails(TdxSkin* ASkin) const
{
  TdxSkinDetails* details = ASkin->GetDetails();
  details->SetDisplayName(Wide(FTheme.DisplayName));
  details->SetGroupName(Wide(FTheme.GroupName));
}

void TSkinBuilder::WritePalettes(TdxSkin* ASkin) const
{
  if (!FTheme.IsVector())
    return;
  std::vector<TThemePalette> palettes = FTheme.Palettes;
  palettes.push_back({"Default", FTheme.Colors});
  for (const TThemePalette& source : palettes) {
    TdxSkinColorPalette* palette = ASkin->GetColorPalettes()->Add(Wide(source.Name));
    for (const auto& [name, value] : DeriveRoles(source.Colors, FTheme.Style, false))
      palette->Add(Wide(name), ToColor(value));
  }
  // Reading a package puts the palettes in name order: write them so.
  ASkin->GetColorPalettes()->Sort(true);
}

void TSkinBuilder::WriteGlyphPalettes(TdxSkin* ASkin) const
{
  if (FTheme.GlyphPalettes.empty())
    return;
  auto* palettes = static_cast<TdxSkinColorPalettes*>(
      ASkin->AddProperty(L"DefaultGlyphColorPalettes", TdxSkinPropertyClass::Of<TdxSkinColorPalettes>()));
  for (const std::string& state : FTheme.GlyphPalettes) {
    TdxSkinColorPalette* palette = palettes->Add(Wide(state));
    std::map<std::string, std::string> inks;
    if (state == "Disabled") {
      for (const char* name : {"Black", "White", "Blue", "Green", "Red", "Yellow"})
        inks[name] = "FaceTxtDisabled";
      inks["White"] = "FaceDisabled";
    } else {
      inks = {{"Black", state == "Pressed" ? "FaceTxtPressed" : "FaceTxt"},
              {"White", state == "Pressed" ? "FacePressed" : "Face"},
              {"Blue", "GlyphBlue"}, {"Green", "GlyphGreen"}, {"Red", "GlyphRed"}, {"Yellow", "GlyphYellow"}};
    }
    for (const auto& [name, role] : inks) {
      if (FTheme.IsVector())
        palette->Add(Wide(name), Wide(role));
      else
        palette->Add(Wide(name), ToColor(Role(role)));
    }
  }
  palettes->Sort(true);
}

std::string TSkinBuilder::FaceRole(const std::string& ABase, TState AState) const
{
  using enum TdxSkinElementState;
  if (ABase == "Face") {
    switch (AState) {
      case esHot: return "FaceHot";
      case esPressed: return "FacePressed";
      case esDisabled: return "FaceDisabled";
      case esChecked: return "FaceChecked";
      case esHotCheck: return "FaceHotCheck";
      case esCheckPressed: return "FaceCheckPressed";
      case esActiveDisabled: return "CapInactive";
      default: return "Face";
    }
  }
  if (ABase == "Thumb") {
    switch (AState) {
      case esHot: return "ThumbHot";
      case esPressed: return "ThumbPressed";
      case esDisabled: return "FaceDisabled";
      default: return "Thumb";
    }
  }
  return ABase;
}

std::string TSkinBuilder::BorderRole(TState AState) const
{
  using enum TdxSkinElementState;
  switch (AState) {
    case esNormal:
    case esActiveDisabled:
      return "Line";
    case esDisabled:
      return "LineDisabled";
    default:
      return "LineHot";
  }
}

std::string TSkinBuilder::TextRole(TState AState) const
{
  using enum TdxSkinElementState;
  switch (AState) {
    case esHot:
    case esHotCheck:
      return "FaceTxtHot";
    case esPressed:
    case esCheckPressed:
      return "FaceTxtPressed";
    case esDisabled:
    case esActiveDisabled:
      return "FaceTxtDisabled";
    default:
      return "FaceTxt";
  }
}

TArgb TSkinBuilder::ShadeRow(TRgb AColor, int ARow, int AHeight) const
{
  const int last = std::max(AHeight - 1, 1);
  switch (FTheme.Style) {
    case TThemeStyle::Soft:
      return Opaque(Mix(Mix(AColor, 0xFFFFFF, 30), AColor, ARow * 100 / last));
    case TThemeStyle::Glossy: {
      const int half = AHeight / 2;
      if (ARow < half)
        return Opaque(Mix(Mix(AColor, 0xFFFFFF, 45), Mix(AColor, 0xFFFFFF, 20), ARow * 100 / std::max(half - 1, 1)));
      return Opaque(Mix(AColor, Mix(AColor, 0x000000, 8), (ARow - half) * 100 / std::max(AHeight - half - 1, 1)));
    }
    default:
      return Opaque(AColor);
  }
}

void TSkinBuilder::LoadTexture(TdxSkinImage* AImage, const TPicture& APicture) const
{
  const std::vector<std::uint8_t> png = APicture.EncodePng();
  rtl::TOwnedPtr<rtl::TBytesStream> stream(rtl::New<rtl::TBytesStream>(rtl::TBytes(png.begin(), png.end())));
  AImage->GetTexture()->LoadFromStream(stream.get());
  AImage->SetInterpolationMode(imNearestNeighbor);
}

void TSkinBuilder::SetBorderColor(TdxSkinBorder* ABorder, const std::string& ARole) const
{
  if (FTheme.IsVector())
    ABorder->SetColorReference(Wide(ARole));
  else
    ABorder->SetColor(ToColor(Role(ARole)));
}

void TSkinBuilder::SetElementColor(TdxSkinElement* AElement, const std::string& ARole, bool AText) const
{
  Role(ARole);
  if (AText) {
    if (FTheme.IsVector())
      AElement->SetTextColorReference(Wide(ARole));
    else
      AElement->SetTextColor(ToColor(Role(ARole)));
    return;
  }
  if (FTheme.IsVector())
    AElement->SetColorReference(Wide(ARole));
  else
    AElement->SetColor(ToColor(Role(ARole)));
  AElement->SetAlpha(255);
}

void TSkinBuilder::WriteBorders(TdxSkinElement* AElement, const std::string& ARole, int AThin)
{
  for (TcxBorder side : {TcxBorder::bLeft, TcxBorder::bTop, TcxBorder::bRight, TcxBorder::bBottom}) {
    TdxSkinBorder* border = AElement->GetBorders()->GetBorder(side);
    SetBorderColor(border, ARole);
    border->SetThin(AThin);
  }
}

void TSkinBuilder::WritePlain(TdxSkinElement* AElement, const TCatalogueRow& ARow, const TRowOptions& AOptions)
{
  std::string color = AOptions.Get("Col");
  if (ARow.Kind == TArchetype::L)
    color = "Line";
  if (ARow.Kind == TArchetype::X)
    color = "Face";
  if (!color.empty())
    SetElementColor(AElement, color, false);
  const bool borders = AOptions.Has("Bd");
  if (borders)
    WriteBorders(AElement, "Line", 1);
  // Dark flat skins mark the page with an accent line under the tabs.
  if (AOptions.Has("Pane") && FTheme.Colors.Dark && FFlatFrames) {
    SetBorderColor(AElement->GetBorders()->GetTop(), "Acc");
    AElement->GetBorders()->GetTop()->SetThin(2);
  }
  const TRect offsets = AOptions.Has("CO") ? ParseOffsets(AOptions.Get("CO")) : borders ? TRect{1, 1, 1, 1} : TRect{};
  AElement->GetContentOffset()->SetRect(offsets);
  if (ARow.Kind == TArchetype::L) {
    const int side = FFlatFrames ? 1 : 2;
    AElement->GetMinSize()->SetSize({side, side});
    if (AOptions.Has("Frame")) {
      const TSize frame = ParseSize(AOptions.Get("Frame"), FTheme.FrameWidth());
      TPicture picture(frame.cx, frame.cy);
      picture.Fill(0, 0, frame.cx, frame.cy, Pixel("Line"));
      LoadTexture(AElement->GetImage(), picture);
    }
  }
}

void TSkinBuilder::WritePicture(TdxSkinImage* AImage, TdxSkinElementStates AStates,
                                const std::vector<std::string>& ASymbols, TSize AFrame, bool AOnFace,
                                const std::string& AName, const std::string& ASurfaceInk)
{
  using enum TdxSkinElementState;
  const std::vector<TState> states = StatesInOrder(AStates);
  const int count = static_cast<int>(ASymbols.size());
  TPicture picture(AFrame.cx * count * static_cast<int>(states.size()), AFrame.cy);
  int frame = 0;
  for (const std::string& symbol : ASymbols)
    for (TState state : states) {
      TSymbolInks inks;
      if (AOnFace) {
        // A glyph on a button face: the face's text colour of the state.
        const bool close = AName.find("Close") != std::string::npos && state == esHot && FTheme.Style == TThemeStyle::Flat &&
                           AName.rfind("Form", 0) == 0;
        std::string ink = close ? "CloseHotTxt" : TextRole(state);
        if (!ASurfaceInk.empty() && state == esNormal)
          ink = ASurfaceInk;
        else if (ASurfaceInk == "CapTxt" && state == esActiveDisabled)
          ink = "CapTxtInactive";
        inks.Ink = Pixel(ink);
      } else {
        inks.Ink = Pixel(state == esDisabled ? "EditTxtDisabled" : state == esHot || state == esPressed ? "Acc" : "EditTxt");
      }
      inks.Face = Pixel(state == esDisabled ? "EditDisabled" : "Edit");
      inks.Border = Pixel(BorderRole(state == esActive ? esNormal : state));
      inks.Accent = Pixel("Acc");
      DrawSymbol(picture, frame * AFrame.cx, 0, AFrame.cx, AFrame.cy, symbol, inks);
      ++frame;
    }
  LoadTexture(AImage, picture);
  AImage->SetImageCount(count);
  AImage->SetStates(AStates);
  AImage->SetStretch(TdxSkinStretchMode::smNoResize);
}

void TSkinBuilder::WriteFace(TdxSkinElement* AElement, const TCatalogueRow& ARow, const TRowOptions& AOptions)
{
  using enum TdxSkinElementState;
  const TdxSkinElementStates states = ParseStates(ARow.States);
  const bool flatTab = AOptions.Has("Tab") && FFlatFrames;
  const bool transparentRest = ARow.Kind == TArchetype::T || flatTab;
  const bool filled = AOptions.Has("Col");
  const int radius = filled ? 0 : FTheme.Radius();
  const bool border = !AOptions.Has("NoBorder");
  const std::string base = AOptions.Get("Face", "Face");
  TSize frame = FFlatFrames ? TSize{12, 12} : TSize{12, 20};
  if (AOptions.Has("Frame"))
    frame = ParseSize(AOptions.Get("Frame"), FTheme.FrameWidth());
  const int margin = std::max(radius + 2, 2);
  const std::vector<TState> order = StatesInOrder(states);
  const bool closeButton = AOptions.Has("Close");

  TPicture picture(frame.cx * ARow.ImageCount * static_cast<int>(order.size()), frame.cy);
  int index = 0;
  for (int image = 0; image < ARow.ImageCount; ++image)
    for (TState state : order) {
      const int x = index++ * frame.cx;
      if (transparentRest && (state == esNormal || state == esActiveDisabled))
        continue;
      std::string face = FaceRole(base, state);
      if (flatTab && state == esPressed)
        face = "Acc";
      if (closeButton && state == esHot)
        face = "CloseHot";
      const TRgb faceColor = Role(face);
      if (border) {
        picture.FillRoundRect(x, 0, frame.cx, frame.cy, radius, Pixel(BorderRole(state)));
        picture.FillRoundRect(x + 1, 1, frame.cx - 2, frame.cy - 2, std::max(radius - 1, 0),
                              [&](int y) { return ShadeRow(faceColor, y, frame.cy - 2); });
      } else {
        picture.FillRoundRect(x, 0, frame.cx, frame.cy, radius,
                              [&](int y) { return ShadeRow(faceColor, y, frame.cy); });
      }
    }
  TdxSkinImage* image = AElement->GetImage();
  LoadTexture(image, picture);
  image->SetImageCount(ARow.ImageCount);
  image->SetStates(states);
  // A frame holds both margins and at least one pixel between them.
  const int mx = std::min<int>(margin, (frame.cx - 1) / 2);
  const int my = std::min<int>(margin, (frame.cy - 1) / 2);
  image->GetMargins()->SetMargin({mx, my, mx, my});
  if (filled)
    SetElementColor(AElement, AOptions.Get("Col"), false);
  AElement->GetContentOffset()->SetRect(AOptions.Has("CO") ? ParseOffsets(AOptions.Get("CO")) : TRect{2, 2, 2, 2});
  if (AOptions.Has("Caption")) {
    AElement->GetMinSize()->SetSize(FFlatFrames ? TSize{34, 22} : TSize{26, 20});
  }
}

void TSkinBuilder::WriteBand(TdxSkinElement* AElement, const TRowOptions& AOptions, const std::string& AName)
{
  using enum TdxSkinElementState;
  const int w = FTheme.FrameWidth();
  const TSize frame = ParseSize(AOptions.Get("Frame"), w);
  const bool caption = AName.find("Caption") != std::string::npos;
  TPicture picture(frame.cx * 2, frame.cy);
  for (int i = 0; i < 2; ++i) {
    const bool active = i == 0;
    const int x = i * frame.cx;
    const TArgb line = Pixel(active && FTheme.Colors.Dark && FFlatFrames ? "Acc" : "Line");
    picture.Fill(x, 0, frame.cx, frame.cy, line);
    TRect inner{x, 0, x + frame.cx, frame.cy};
    if (caption) {
      inner.left += 1, inner.top += 1, inner.right -= 1;
    } else if (AName == "FormFrameLeft") {
      inner.left += 1;
    } else if (AName == "FormFrameRight") {
      inner.right -= 1;
    } else {
      inner.bottom -= 1;
    }
    const TRgb fill = Role(active ? "Cap" : "CapInactive");
    for (int y = inner.top; y < inner.bottom; ++y) {
      const TArgb color = caption ? ShadeRow(fill, y, frame.cy) : Opaque(fill);
      picture.Fill(inner.left, y, inner.right - inner.left, 1, color);
    }
  }
  TdxSkinImage* image = AElement->GetImage();
  LoadTexture(image, picture);
  image->SetImageCount(1);
  image->SetStates(ParseStates("FR"));
  if (caption) {
    image->GetMargins()->SetMargin({w, 1, w, 0});
    AElement->GetContentOffset()->SetRect({w, 4, w, 4});
  }
}

void TSkinBuilder::WriteRow(TdxSkinControlGroup* AGroup, const TCatalogueRow& ARow, const std::string& AName)
{
  const TRowOptions options(ARow.Options);
  TdxSkinElement* element = AGroup->AddElement(Wide(AName));
  std::string text = options.Get("Txt");
  switch (ARow.Kind) {
    case TArchetype::P:
    case TArchetype::L:
    case TArchetype::X:
      WritePlain(element, ARow, options);
      if (text.empty())
        text = options.Has("Col") && options.Get("Col") == "Win" ? "WinTxt" : options.Get("Col") == "Edit" ? "EditTxt" : "FaceTxt";
      break;
    case TArchetype::F:
    case TArchetype::T:
      WriteFace(element, ARow, options);
      if (text.empty())
        text = "FaceTxt";
      break;
    case TArchetype::K:
      WritePicture(element->GetImage(), ParseStates(ARow.States), Words(options.Get("Sym"), '/'),
                   ParseSize(options.Get("Frame", "13,13"), FTheme.FrameWidth()), false, AName);
      if (text.empty())
        text = "EditTxt";
      break;
    case TArchetype::G:
      break;
    case TArchetype::B:
      WriteBand(element, options, AName);
      text = "CapTxt";
      break;
  }
  if (options.Has("G") || ARow.Kind == TArchetype::G) {
    // A transparent button shows what lies beneath in its normal state:
    // caption buttons the caption, the others the surface their row names.
    std::string surfaceInk;
    if (ARow.Kind == TArchetype::T)
      surfaceInk = options.Has("Caption") ? "CapTxt" : options.Get("Txt");
    WritePicture(element->GetGlyph(), ParseStates(ARow.States), Words(options.Get("Sym"), '/'),
                 ParseSize(options.Get("GS", "9,9"), FTheme.FrameWidth()), true, AName, surfaceInk);
    if (text.empty())
      text = "FaceTxt";
  }
  if (options.Has("Min"))
    element->GetMinSize()->SetSize(ParseSize(options.Get("Min"), FTheme.FrameWidth()));
  SetElementColor(element, text, true);
  if (options.Has("GTC")) {
    AddColor(element, "TextColor", "FaceTxt", 255);
    AddColor(element, "TextColorHot", "FaceTxtHot", 255);
    AddColor(element, "TextColorPressed", "FaceTxtPressed", 255);
    AddColor(element, "TextColorDisabled", "FaceTxtDisabled", 255);
  }
  for (const auto& [kind, body] : options.Properties) {
    const std::size_t eq = body.find('=');
    const std::string name = body.substr(0, eq), value = body.substr(eq + 1);
    if (kind == "i:") {
      element->AddPropertyInteger(Wide(name), std::stoi(value));
    } else if (kind == "a:") {
      const std::size_t slash = value.find('/');
      AddColor(element, name, value.substr(0, slash), std::stoi(value.substr(slash + 1)));
    } else {
      // Flat selected tabs are accent-filled: their text is the selection's.
      const bool selectedTab = name == "TextColorSelected" && AName == "TabHeader" && FFlatFrames;
      AddColor(element, name, selectedTab ? "SelTxt" : value, 255);
    }
  }
}

TdxSkin* TSkinBuilder::Build()
{
  rtl::TOwnedPtr<TdxSkin> skin(rtl::New<TdxSkin>(Wide(FTheme.Name), false, HINSTANCE(nullptr)));
  skin->BeginUpdate();
  WriteDetails(skin.get());
  for (const TCatalogueColor& color : CatalogueColors())
    if (*color.Group == 0) {
      TdxSkinColor* item = skin->AddColor(Wide(color.Name), vcl::clDefault);
      SetColor(item->ColorValue(), color.Role);
    }
  WriteGlyphPalettes(skin.get());
  WritePalettes(skin.get());
  std::map<std::string, TdxSkinControlGroup*> groups;
  const auto groupOf = [&](const std::string& AName) {
    TdxSkinControlGroup*& group = groups[AName];
    if (!group)
      group = skin->AddGroup(Wide(AName));
    return group;
  };
  for (const TCatalogueRow& row : CatalogueElements())
    for (const std::string& name : Words(row.Elements))
      WriteRow(groupOf(row.Group), row, name);
  for (const TCatalogueColor& color : CatalogueColors())
    if (*color.Group != 0)
      AddColor(groupOf(color.Group), color.Name, color.Role, color.Alpha);
  skin->EndUpdate();
  return skin.release();
}

}  // namespace

TdxSkin* BuildSkin(const TTheme& ATheme)
{
  return TSkinBuilder(ATheme).Build();
}

std::vector<std::uint8_t> PackageBytes(TdxSkin* ASkin, const TTheme& ATheme)
{
  rtl::TOwnedPtr<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
  ASkin->SaveToStream(stream.get());
  const auto* data = static_cast<const std::uint8_t*>(stream->Memory());
  std::vector<std::uint8_t> bytes(data, data + stream->GetSize());
  if (ATheme.IsUserSkin())
    return bytes;  // the default icons stand in for its own
  // The header, then Name, DisplayName and GroupName (ASCII, so a byte a
  // character), then the empty Notes: the two icon blobs follow, each an
  // empty one of four zero bytes as the skin had no icons.
  const std::size_t icons = 18 + 4 + ATheme.Name.size() + 4 + ATheme.DisplayName.size() + 4 +
                            ATheme.GroupName.size() + 4;
  if (bytes.size() < icons + 8 || std::any_of(bytes.begin() + icons, bytes.begin() + icons + 8,
                                              [](std::uint8_t b) { return b != 0; }))
    throw std::runtime_error("the package of " + ATheme.Name + " has no empty icons where expected");
  std::vector<std::uint8_t> blobs;
  for (int size : {16, 48}) {
    const std::vector<std::uint8_t> icon = SkinIcon(ATheme, size);
    const auto length = static_cast<std::uint32_t>(icon.size());
    for (int shift = 0; shift < 32; shift += 8)
      blobs.push_back(static_cast<std::uint8_t>(length >> shift));
    blobs.insert(blobs.end(), icon.begin(), icon.end());
  }
  bytes.erase(bytes.begin() + icons, bytes.begin() + icons + 8);
  bytes.insert(bytes.begin() + icons, blobs.begin(), blobs.end());
  return bytes;
}

std::vector<std::uint8_t> SkinIcon(const TTheme& ATheme, int ASize)
{
  const TThemeColors& c = ATheme.Colors;
  TPicture picture(ASize, ASize);
  const int unit = ASize / 16;
  picture.Fill(0, 0, ASize, ASize, Opaque(c.Line));
  picture.Fill(unit, unit, ASize - 2 * unit, ASize - 2 * unit, Opaque(c.Win));
  picture.Fill(unit, unit, ASize - 2 * unit, 4 * unit, Opaque(c.Cap));
  picture.FillRoundRect(3 * unit, 7 * unit, 10 * unit, 6 * unit, unit, Opaque(c.Face));
  picture.Fill(5 * unit, 9 * unit, 6 * unit, 2 * unit, Opaque(c.Acc));
  return ATheme.IsVector() ? picture.EncodePng() : picture.EncodeBmp();
}

std::vector<std::uint8_t> DefaultSkinIcon(int ASize)
{
  TTheme neutral;
  neutral.Style = TThemeStyle::Vector;
  neutral.Colors = {false, 0xF0F0F0, 0xFFFFFF, 0xFFFFFF, 0xADADAD, 0x0078D7, 0x000000, 0xF0F0F0};
  return SkinIcon(neutral, ASize);
}

}  // namespace skingen
