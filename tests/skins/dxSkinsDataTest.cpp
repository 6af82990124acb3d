// The packages of the built-in skins and the user skin as the program
// carries them: each loads through the system's own reader to its last
// byte, saving it again gives its bytes back, and its names, display and
// group names, palettes and glyph palettes are those the skins are known by.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "skins/dxSkinInfo.h"
#include "tests/skins/SkinsTestSupport.h"

using namespace skinstest;

// Outside the anonymous namespace: the test parameter's type is part of
// GoogleTest's own templates.
enum class TSkinsDataKind { Raster, Vector, User };

struct TSkinsDataRow {
  const wchar_t* Name;
  const wchar_t* DisplayName;
  const wchar_t* GroupName;
  TSkinsDataKind Kind = TSkinsDataKind::Raster;
  std::vector<std::wstring> GlyphPalettes = {};
};

namespace {

const std::vector<std::wstring> SkinsNormalDisabled = {L"Disabled", L"Normal"};

// The 52 skins in the order their units start, then the user skin.
const std::vector<TSkinsDataRow>& SkinsDataTable()
{
  using enum TSkinsDataKind;
  static const std::vector<TSkinsDataRow> rows = {
      {L"Black", L"Black", L"Standard Skins"},
      {L"Blue", L"Blue", L"Standard Skins"},
      {L"Blueprint", L"Blueprint", L"Standard Skins", Raster, SkinsNormalDisabled},
      {L"Caramel", L"Caramel", L"Standard Skins"},
      {L"Coffee", L"Coffee", L"Standard Skins"},
      {L"Darkroom", L"Darkroom", L"Standard Skins"},
      {L"DarkSide", L"Dark Side", L"Standard Skins", Raster, SkinsNormalDisabled},
      {L"TarnwickDarkStyle", L"Tarnwick Dark Style", L"Standard Skins", Raster, SkinsNormalDisabled},
      {L"TarnwickStyle", L"Tarnwick Style", L"Standard Skins", Raster, SkinsNormalDisabled},
      {L"Foggy", L"Foggy", L"Standard Skins"},
      {L"GlassOceans", L"Glass Oceans", L"Standard Skins"},
      {L"HighContrast", L"High Contrast", L"Standard Skins"},
      {L"iMaginary", L"iMaginary", L"Standard Skins"},
      {L"Lilian", L"Lilian", L"Standard Skins"},
      {L"LiquidSky", L"Liquid Sky", L"Standard Skins"},
      {L"LondonLiquidSky", L"London Liquid Sky", L"Standard Skins"},
      {L"McSkin", L"McSkin", L"Standard Skins"},
      {L"Metropolis", L"Metropolis", L"Standard Skins"},
      {L"MetropolisDark", L"Metropolis Dark", L"Standard Skins", Raster, {L"Normal"}},
      {L"MoneyTwins", L"Money Twins", L"Standard Skins"},
      {L"Office2007Black", L"Office 2007 Black", L"Office Skins"},
      {L"Office2007Blue", L"Office 2007 Blue", L"Office Skins"},
      {L"Office2007Green", L"Office 2007 Green", L"Office Skins"},
      {L"Office2007Pink", L"Office 2007 Pink", L"Office Skins"},
      {L"Office2007Silver", L"Office 2007 Silver", L"Office Skins"},
      {L"Office2010Black", L"Office 2010 Black", L"Office Skins", Raster, SkinsNormalDisabled},
      {L"Office2010Blue", L"Office 2010 Blue", L"Office Skins", Raster, SkinsNormalDisabled},
      {L"Office2010Silver", L"Office 2010 Silver", L"Office Skins", Raster, SkinsNormalDisabled},
      {L"Office2013DarkGray", L"Office 2013 Dark Gray", L"Office Skins", Raster,
       {L"Disabled", L"Normal", L"Pressed"}},
      {L"Office2013LightGray", L"Office 2013 Light Gray", L"Office Skins", Raster, SkinsNormalDisabled},
      {L"Office2013White", L"Office 2013 White", L"Office Skins", Raster, SkinsNormalDisabled},
      {L"Office2016Colorful", L"Office 2016 Colorful", L"Office Skins", Raster, SkinsNormalDisabled},
      {L"Office2016Dark", L"Office 2016 Dark", L"Office Skins", Raster, SkinsNormalDisabled},
      {L"Office2019Colorful", L"Office2019Colorful", L"Vector Skins", Vector, SkinsNormalDisabled},
      {L"Pumpkin", L"Pumpkin", L"Standard Skins", Raster, SkinsNormalDisabled},
      {L"Seven", L"Seven", L"Standard Skins"},
      {L"SevenClassic", L"Seven Classic", L"Standard Skins", Raster, SkinsNormalDisabled},
      {L"Sharp", L"Sharp", L"Standard Skins"},
      {L"SharpPlus", L"Sharp Plus", L"Standard Skins"},
      {L"Silver", L"Silver", L"Standard Skins"},
      {L"Springtime", L"Springtime", L"Standard Skins"},
      {L"Stardust", L"Stardust", L"Standard Skins"},
      {L"Summer2008", L"Summer 2008", L"Standard Skins"},
      {L"TheAsphaltWorld", L"The Asphalt World", L"Standard Skins"},
      {L"TheBezier", L"TheBezier", L"Vector Skins", Vector, SkinsNormalDisabled},
      {L"Valentine", L"Valentine", L"Standard Skins"},
      {L"VisualStudio2013Blue", L"Visual Studio 2013 Blue", L"Standard Skins", Raster, SkinsNormalDisabled},
      {L"VisualStudio2013Dark", L"Visual Studio 2013 Dark", L"Standard Skins", Raster, SkinsNormalDisabled},
      {L"VisualStudio2013Light", L"Visual Studio 2013 Light", L"Standard Skins", Raster, SkinsNormalDisabled},
      {L"VS2010", L"VS2010", L"Standard Skins", Raster, SkinsNormalDisabled},
      {L"Whiteprint", L"Whiteprint", L"Standard Skins"},
      {L"Xmas2008Blue", L"Xmas 2008 Blue", L"Standard Skins"},
      {L"DefaultUserSkinData", L"UserSkin", L"", User},
  };
  return rows;
}

// The resource name of a package, and its name inside it.
std::wstring SkinsPackageName(const TSkinsDataRow& ARow)
{
  return ARow.Kind == TSkinsDataKind::User ? L"defaultuserskindata" : ARow.Name;
}

TSkinsBytes SkinsResourceBytes(const std::wstring& AName)
{
  const HINSTANCE module = GetModuleHandleW(nullptr);
  HRSRC resource = FindResourceW(module, AName.c_str(), L"DXSKINS");
  if (!resource)
    return {};
  const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(module, resource)));
  return TSkinsBytes(data, data + SizeofResource(module, resource));
}

std::vector<std::wstring> SkinsPaletteNames(TdxSkinCustomListProperty* AList)
{
  std::vector<std::wstring> names;
  for (int i = 0; i < AList->GetCount(); ++i)
    names.push_back(AList->GetItem(i)->GetName());
  return names;
}

std::int32_t SkinsInt32(const TSkinsBytes& ABytes, std::size_t AAt)
{
  std::int32_t value = 0;
  std::memcpy(&value, ABytes.data() + AAt, 4);
  return value;
}

// Where the icon blobs of a package begin: after the header, the three
// names (ASCII: a byte a character) and the empty notes.
std::size_t SkinsIconsOffset(const TSkinsDataRow& ARow)
{
  return 18 + 4 + SkinsPackageName(ARow).size() + 4 + std::wstring(ARow.DisplayName).size() + 4 +
         std::wstring(ARow.GroupName).size() + 4;
}

// A package with its two icon blobs taken out.
TSkinsBytes SkinsWithoutIcons(const TSkinsBytes& ABytes, const TSkinsDataRow& ARow)
{
  const std::size_t start = SkinsIconsOffset(ARow);
  std::size_t end = start;
  for (int i = 0; i < 2 && end + 4 <= ABytes.size(); ++i)
    end += 4 + static_cast<std::size_t>(std::max(SkinsInt32(ABytes, end), 0));
  if (end > ABytes.size())
    return ABytes;
  TSkinsBytes result(ABytes.begin(), ABytes.begin() + static_cast<std::ptrdiff_t>(start));
  result.insert(result.end(), ABytes.begin() + static_cast<std::ptrdiff_t>(end), ABytes.end());
  return result;
}

// A package read from its resource the way the program reads it.
struct TSkinsLoaded {
  rtl::TOwnedPtr<TdxSkin> Skin = NewSkin(L"");
  std::int64_t Position = 0;
  std::int64_t Size = 0;

  explicit TSkinsLoaded(const std::wstring& AResource)
  {
    const TSkinsBytes bytes = SkinsResourceBytes(AResource);
    auto stream = StreamOf(bytes);
    Skin->LoadFromStream(stream.get());
    Position = stream->GetPosition();
    Size = stream->GetSize();
  }
};

std::string SkinsDataCaseName(const testing::TestParamInfo<TSkinsDataRow>& AInfo)
{
  const std::wstring name = AInfo.param.Name;
  return std::string(name.begin(), name.end());
}

}  // namespace

class SkinsDataTest : public testing::TestWithParam<TSkinsDataRow> {};

namespace {
vcl::TColor SkinsSheetColor(TdxSkin* ASkin, const wchar_t* AGroup, const wchar_t* AName);
}  // namespace

TEST(SkinsDataResourcesTest, TheProgramCarriesEveryPackageAndTheDefaultIcons)
{
  for (const TSkinsDataRow& row : SkinsDataTable())
    EXPECT_FALSE(SkinsResourceBytes(row.Name).empty()) << testing::PrintToString(std::wstring(row.Name));
  for (const auto& [name, size] : {std::pair{L"DEFAULTSKINICONSMALL", 16}, std::pair{L"DEFAULTSKINICONLARGE", 48}}) {
    const TSkinsBytes bytes = SkinsResourceBytes(name);
    ASSERT_FALSE(bytes.empty());
    rtl::TOwnedPtr<TdxSmartImage> icon(rtl::New<TdxSmartImage>());
    auto stream = StreamOf(bytes);
    icon->LoadFromStream(stream.get());
    EXPECT_EQ(icon->GetImageDataFormat(), dxImagePng);
    EXPECT_EQ(icon->GetWidth(), size);
    EXPECT_EQ(icon->GetHeight(), size);
  }
}

TEST_P(SkinsDataTest, LoadsToItsLastByteAndSavesItsBytesAgain)
{
  const TSkinsDataRow& row = GetParam();
  const TSkinsLoaded loaded(row.Name);
  EXPECT_EQ(loaded.Position, loaded.Size);

  // The reader decodes BMP icons, which the writer then writes as PNG, and
  // puts the default icons into a package that has none: past the icons,
  // every byte comes back; PNG icons come back as they are.
  const TSkinsBytes resource = SkinsResourceBytes(row.Name);
  const TSkinsBytes saved = SavedBytes(loaded.Skin.get());
  if (row.Kind == TSkinsDataKind::Vector) {
    EXPECT_TRUE(saved == resource);
  } else {
    EXPECT_TRUE(SkinsWithoutIcons(saved, row) == SkinsWithoutIcons(resource, row));
  }
}

TEST_P(SkinsDataTest, CarriesTheNamesAndPalettesTheSkinIsKnownBy)
{
  const TSkinsDataRow& row = GetParam();
  const TSkinsLoaded loaded(row.Name);
  TdxSkinDetails* details = loaded.Skin->GetDetails();
  EXPECT_EQ(details->GetName(), SkinsPackageName(row));
  EXPECT_EQ(details->GetDisplayName(), row.DisplayName);
  EXPECT_EQ(details->GetGroupName(), row.GroupName);
  EXPECT_EQ(details->GetNotes(), L"");

  std::vector<std::wstring> palettes = SkinsPaletteNames(loaded.Skin->GetColorPalettes());
  switch (row.Kind) {
    case TSkinsDataKind::Vector:
      EXPECT_EQ(std::count(palettes.begin(), palettes.end(), L"Default"), 1);
      if (row.Name == std::wstring(L"Office2019Colorful"))
        EXPECT_EQ(palettes, (std::vector<std::wstring>{L"Amber", L"Default", L"Fire Brick", L"Forest", L"Pine",
                                                       L"Plum", L"Yale"}));
      else
        EXPECT_EQ(palettes.size(), 30u);
      break;
    default:
      EXPECT_TRUE(palettes.empty());
  }

  // The default glyph palettes are the one skin-level property a package
  // may carry.
  TdxSkinProperty* glyphs = nullptr;
  ASSERT_EQ(loaded.Skin->PropertyCount(), row.GlyphPalettes.empty() ? 0 : 1);
  if (!row.GlyphPalettes.empty()) {
    ASSERT_TRUE(loaded.Skin->GetPropertyByName(L"DefaultGlyphColorPalettes", glyphs));
    ASSERT_TRUE(rtl::Is<TdxSkinColorPalettes>(glyphs));
    EXPECT_EQ(SkinsPaletteNames(static_cast<TdxSkinColorPalettes*>(glyphs)), row.GlyphPalettes);
  }
}

// 32-bit BMP icons in raster skins, PNG in vector skins, none in the user
// skin: read from the package's own bytes, before any decoder sees them.
TEST_P(SkinsDataTest, HasIconsOfItsOwnInItsKindsFormat)
{
  const TSkinsDataRow& row = GetParam();
  const TSkinsBytes package = SkinsResourceBytes(row.Name);
  std::size_t at = SkinsIconsOffset(row);
  for (const std::int32_t size : {16, 48}) {
    ASSERT_LE(at + 4, package.size());
    const std::int32_t length = SkinsInt32(package, at);
    at += 4;
    if (row.Kind == TSkinsDataKind::User) {
      EXPECT_EQ(length, 0);
      continue;
    }
    ASSERT_LE(at + 30, package.size());
    if (row.Kind == TSkinsDataKind::Raster) {
      EXPECT_EQ(std::string(package.begin() + at, package.begin() + at + 2), "BM");
      EXPECT_EQ(SkinsInt32(package, at + 18), size);                    // width
      EXPECT_EQ(SkinsInt32(package, at + 22), size);                    // height: bottom-up
      EXPECT_EQ(package[at + 28], 32);                                  // bits a pixel
      EXPECT_EQ(length, 14 + 40 + size * size * 4);
    } else {
      EXPECT_EQ(std::string(package.begin() + at + 1, package.begin() + at + 4), "PNG");
      EXPECT_EQ(package[at + 16 + 3], size);  // IHDR width, big-endian
      EXPECT_EQ(package[at + 20 + 3], size);
    }
    at += static_cast<std::size_t>(length);
  }
}

INSTANTIATE_TEST_SUITE_P(Packages, SkinsDataTest, testing::ValuesIn(SkinsDataTable()), SkinsDataCaseName);

// Binding the skin information asks for every name it draws with: a
// package that lacks one shows a red cross (unassigned), and an element
// nobody asks for (unused) is most likely a misspelt name.
TEST_P(SkinsDataTest, BindsTheSkinInformationWithoutPlaceholdersOrUnusedNames)
{
  const TSkinsLoaded loaded(GetParam().Name);
  rtl::TOwnedPtr<TdxSkinInfo> info(rtl::New<TdxSkinInfo>(static_cast<TdxSkin*>(nullptr)));
  ASSERT_NO_THROW(info->SetSkin(loaded.Skin.get()));

  std::vector<std::wstring> unassigned, unused;
  auto check = [&](TdxSkinCustomObject* AObject, const std::wstring& APath) {
    if (AObject->GetState().Contains(TdxSkinObjectState::sosUnassigned))
      unassigned.push_back(APath);
    else if (AObject->GetState().Contains(TdxSkinObjectState::sosUnused))
      unused.push_back(APath);
  };
  for (int g = 0; g < loaded.Skin->GetGroupCount(); ++g) {
    TdxSkinControlGroup* group = loaded.Skin->GetGroup(g);
    check(group, group->GetName());
    for (int e = 0; e < group->GetCount(); ++e)
      check(group->GetElement(e), std::wstring(group->GetName()) + L"/" + std::wstring(group->GetElement(e)->GetName()));
  }
  auto joined = [](const std::vector<std::wstring>& ANames) {
    std::wstring result;
    for (const std::wstring& name : ANames)
      result += name + L" ";
    return testing::PrintToString(result);
  };
  EXPECT_FALSE(loaded.Skin->HasMissingElements());
  EXPECT_TRUE(unassigned.empty()) << "placeholders: " << joined(unassigned);
  EXPECT_TRUE(unused.empty()) << "names the skin information does not ask for: " << joined(unused);

  // Every colour it reads is there: a missing one silently gives another
  // skin's look.
  std::wstring missingColors;
  for (const TdxSkinInfoColorName& entry : dxSkinInfoColorNames())
    if (!entry.Field(*info))
      missingColors += std::wstring(entry.Group ? entry.Group : L"") + L"/" + (entry.Element ? entry.Element : L"") +
                       L"/" + entry.Name + L" ";
  for (const TdxSkinInfoPropertyName& entry : dxSkinInfoPropertyNames()) {
    const std::wstring kind = entry.Kind;
    if (kind != L"Color" && kind != L"AlphaColor")
      continue;
    TdxSkinPersistent* owner = loaded.Skin->GetGroupByName(entry.Group);
    if (owner && entry.Element)
      owner = static_cast<TdxSkinControlGroup*>(owner)->GetElementByName(entry.Element);
    if (!owner || !rtl::Is<TdxSkinColor>(owner->GetPropertyByName(entry.Name)))
      missingColors += std::wstring(entry.Group) + L"/" + (entry.Element ? entry.Element : L"") + L"/" + entry.Name + L" ";
  }
  EXPECT_TRUE(missingColors.empty()) << "missing colours: " << testing::PrintToString(missingColors);
  // The skin belongs to the test, not to the information.
  info->SetSkin(nullptr);
}

namespace {

double SkinsLuminance(std::uint32_t ARGB)
{
  auto channel = [](std::uint32_t AValue) {
    const double c = AValue / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(ARGB >> 16 & 0xFF) + 0.7152 * channel(ARGB >> 8 & 0xFF) + 0.0722 * channel(ARGB & 0xFF);
}

// The contrast ratio of two opaque colours, 1 to 21.
double SkinsContrast(std::uint32_t A, std::uint32_t B)
{
  const double a = SkinsLuminance(A), b = SkinsLuminance(B);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// $RRGGBB back to a colour value ($BBGGRR).
std::uint32_t SkinsBGR(std::uint32_t ARGB)
{
  return (ARGB & 0xFF) << 16 | (ARGB & 0xFF00) | (ARGB >> 16 & 0xFF);
}

std::uint32_t SkinsRGB(vcl::TColor AColor)
{
  const COLORREF c = static_cast<COLORREF>(vcl::ColorToRGB(AColor));
  return std::uint32_t(GetRValue(c)) << 16 | std::uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}

// What a text is drawn on: an element in a state, drawn over a solid
// background as the control draws it.
struct TSkinsContrastSurface {
  const wchar_t* Group;
  const wchar_t* Element;  // nil: the background alone
  TdxSkinElementState State;
  vcl::TColor Background;
};

class TSkinsContrastProbe {
 public:
  explicit TSkinsContrastProbe(TdxSkin* ASkin) : FSkin(ASkin) {}

  TdxSkinElement* Element(const wchar_t* AGroup, const wchar_t* AName) const
  {
    TdxSkinControlGroup* group = FSkin->GetGroupByName(AGroup);
    return group ? group->GetElementByName(AName) : nullptr;
  }
  vcl::TColor Color(const wchar_t* AGroup, const wchar_t* AName) const
  {
    if (!*AGroup) {
      TdxSkinColor* color = FSkin->GetColorByName(AName);
      return color ? color->GetValue() : vcl::clNone;
    }
    return SkinsSheetColor(FSkin, AGroup, AName);
  }

  // The surface's colour at the centre of a 64 x 32 rendering.
  std::uint32_t Centre(const TSkinsContrastSurface& ASurface) const
  {
    return Rendered(ASurface).Pixel(32, 16) & 0xFFFFFF;
  }

  // The pixel that differs most from the surface's centre: the symbol an
  // element draws on its face.
  double SymbolContrast(const TSkinsContrastSurface& ASurface, int AImageIndex, TSize ASize) const
  {
    const TSkinsRendering r = Rendered(ASurface, AImageIndex, ASize);
    const std::uint32_t face = r.Pixel(1, ASize.cy / 2) & 0xFFFFFF;
    double best = 1;
    for (int y = 0; y < ASize.cy; ++y)
      for (int x = 0; x < ASize.cx; ++x)
        best = std::max(best, SkinsContrast(face, r.Pixel(x, y) & 0xFFFFFF));
    return best;
  }

 private:
  TSkinsRendering Rendered(const TSkinsContrastSurface& ASurface, int AImageIndex = 0, TSize ASize = {64, 32}) const
  {
    return TSkinsRendering(ASize.cx, ASize.cy, [&](TdxGPCanvas* ACanvas) {
      ACanvas->FillRectangle(TRect{0, 0, ASize.cx, ASize.cy}, dxColorToAlphaColor(ASurface.Background));
      if (ASurface.Element)
        if (TdxSkinElement* element = Element(ASurface.Group, ASurface.Element))
          element->DrawEx(ACanvas, {0, 0, ASize.cx, ASize.cy}, AImageIndex, ASurface.State);
    });
  }

  TdxSkin* FSkin;
};

}  // namespace

// Text stays readable in every skin and palette: 4.5 for the texts a user
// reads, 3.0 for disabled and inactive texts and for symbols, measured on
// what the elements draw.
TEST_P(SkinsDataTest, KeepsItsTextsReadable)
{
  // The default palette only: a vector skin's other palettes recolour its
  // colours but not its faces, which are raster textures drawn in the
  // default palette.
  const TSkinsLoaded loaded(GetParam().Name);
  TdxSkin* skin = loaded.Skin.get();
  const rtl::String palette = skin->GetActiveColorPaletteName();

  using enum TdxSkinElementState;
  using enum TcxButtonState;
  {
    const TSkinsContrastProbe probe(skin);
    const vcl::TColor content = probe.Color(L"", L"ContentColor");
    const vcl::TColor win = probe.Element(L"Form", L"FormContent")->GetColor();
    TdxSkinElement* button = probe.Element(L"Common", L"Button");
    TdxSkinElement* tab = probe.Element(L"PageControl", L"TabHeader");
    auto colorOf = [&](TdxSkinElement* AElement, const wchar_t* AName) {
      TdxSkinProperty* property = nullptr;
      AElement->GetPropertyByName(AName, property);
      return rtl::Is<TdxSkinColor>(property) ? static_cast<TdxSkinColor*>(property)->GetValue() : vcl::clNone;
    };
    const struct {
      const char* What;
      vcl::TColor Text;
      TSkinsContrastSurface On;
      double Least;
    } cases[] = {
        {"editor text", probe.Color(L"Editors", L"TextColor"),
         {L"", nullptr, esNormal, probe.Color(L"Editors", L"BackgroundColor")}, 4.5},
        {"inactive editor text", probe.Color(L"Editors", L"TextInactiveColor"),
         {L"", nullptr, esNormal, probe.Color(L"Editors", L"BackgroundInactiveColor")}, 4.5},
        {"read-only editor text", probe.Color(L"Editors", L"TextReadOnlyColor"),
         {L"", nullptr, esNormal, probe.Color(L"Editors", L"BackgroundReadOnlyColor")}, 4.5},
        {"disabled editor text", probe.Color(L"Editors", L"TextDisabledColor"),
         {L"", nullptr, esNormal, probe.Color(L"Editors", L"BackgroundDisabledColor")}, 3.0},
        {"label on the form", probe.Color(L"Editors", L"TextColor"), {L"Form", L"FormContent", esNormal, win}, 4.5},
        {"form text", probe.Element(L"Form", L"FormContent")->GetTextColor(),
         {L"Form", L"FormContent", esNormal, win}, 4.5},
        {"button", button->GetTextColor(cxbsNormal), {L"Common", L"Button", esNormal, win}, 4.5},
        {"default button", button->GetTextColor(cxbsDefault), {L"Common", L"Button", esActive, win}, 4.5},
        {"hot button", button->GetTextColor(cxbsHot), {L"Common", L"Button", esHot, win}, 4.5},
        {"pressed button", button->GetTextColor(cxbsPressed), {L"Common", L"Button", esPressed, win}, 4.5},
        {"disabled button", button->GetTextColor(cxbsDisabled), {L"Common", L"Button", esDisabled, win}, 3.0},
        {"tab", colorOf(tab, L"TextColor"), {L"PageControl", L"TabHeader", esNormal, content}, 4.5},
        {"hot tab", colorOf(tab, L"TextColorHot"), {L"PageControl", L"TabHeader", esHot, content}, 4.5},
        {"selected tab", colorOf(tab, L"TextColorSelected"), {L"PageControl", L"TabHeader", esPressed, content}, 4.5},
        {"disabled tab", colorOf(tab, L"TextColorDisabled"), {L"PageControl", L"TabHeader", esDisabled, content}, 3.0},
        {"active caption", probe.Element(L"Form", L"FormCaption")->GetTextColor(),
         {L"Form", L"FormCaption", esActive, win}, 4.5},
        {"inactive caption", probe.Color(L"Form", L"TextColorInactive"),
         {L"Form", L"FormCaption", esActiveDisabled, win}, 3.0},
        {"content text", probe.Color(L"", L"ContentTextColor"), {L"", nullptr, esNormal, content}, 4.5},
        {"selection text", probe.Color(L"", L"SelectionTextColor"),
         {L"", nullptr, esNormal, probe.Color(L"", L"SelectionColor")}, 4.5},
        {"header text", probe.Color(L"", L"HeaderBackgroundTextColor"),
         {L"", nullptr, esNormal, probe.Color(L"", L"HeaderBackgroundColor")}, 4.5},
        {"popup menu", probe.Element(L"Bars", L"PopupMenu")->GetTextColor(), {L"Bars", L"PopupMenu", esNormal, win}, 4.5},
        {"screen tip", colorOf(probe.Element(L"Bars", L"ScreenTipWindow"), L"ScreenTipItem"),
         {L"Bars", L"ScreenTipWindow", esNormal, win}, 4.5},
    };
    for (const auto& c : cases) {
      const std::uint32_t on = probe.Centre(c.On);
      EXPECT_GE(SkinsContrast(SkinsRGB(c.Text), on), c.Least)
          << c.What << " in palette " << testing::PrintToString(palette) << std::hex << ": text " << SkinsRGB(c.Text)
          << " on " << on;
    }

    // Symbols drawn on faces: the scroll arrows over the track, the caption
    // buttons over the caption.
    const vcl::TColor track = static_cast<vcl::TColor>(
        SkinsBGR(probe.Centre({L"Common", L"ScrollContentVert", esNormal, win})));
    const vcl::TColor caption =
        static_cast<vcl::TColor>(SkinsBGR(probe.Centre({L"Form", L"FormCaption", esActive, win})));
    const struct {
      const char* What;
      TSkinsContrastSurface On;
      int ImageIndex;
    } symbols[] = {
        {"scroll arrow", {L"Common", L"ScrollButton", esNormal, track}, 0},
        {"close button", {L"Form", L"FormButtonClose", esNormal, caption}, 0},
        {"minimize button", {L"Form", L"FormButtonMinimize", esNormal, caption}, 0},
    };
    for (const auto& s : symbols) {
      const TSize size = probe.Element(s.On.Group, s.On.Element)->GetMinSize()->GetSize();
      const TSize drawn{std::max<int>(size.cx, 17), std::max<int>(size.cy, 17)};
      EXPECT_GE(probe.SymbolContrast(s.On, s.ImageIndex, drawn), 3.0)
          << s.What << " in palette " << testing::PrintToString(palette);
    }
  }
}

// Every element draws in every state and image index it declares, at its
// frame size and three times that, without raising.
TEST_P(SkinsDataTest, DrawsEveryElementInEveryStateAndIndexItDeclares)
{
  const TSkinsLoaded loaded(GetParam().Name);
  TSkinsRendering rendering(120, 120, [&](TdxGPCanvas* ACanvas) {
    for (int g = 0; g < loaded.Skin->GetGroupCount(); ++g) {
      TdxSkinControlGroup* group = loaded.Skin->GetGroup(g);
      for (int e = 0; e < group->GetCount(); ++e) {
        TdxSkinElement* element = group->GetElement(e);
        const TSize size = element->GetSize();
        const TdxSkinElementStates states = element->GetStates();
        for (int scale : {1, 3})
          for (int index = 0; index < std::max(element->GetImageCount(), 1); ++index)
            for (int s = 0; s < dxSkinElementStateCount; ++s) {
              const auto state = static_cast<TdxSkinElementState>(s);
              if (states.Contains(state) || (states.Empty() && state == TdxSkinElementState::esNormal)) {
                const TRect r{0, 0, std::max<int>(size.cx, 4) * scale, std::max<int>(size.cy, 4) * scale};
                EXPECT_NO_THROW(element->DrawEx(ACanvas, r, index, state)) << testing::PrintToString(element->GetPath());
              }
            }
      }
    }
  });
}

namespace {

// The colour of a group or the skin; clNone when it is missing.
vcl::TColor SkinsSheetColor(TdxSkin* ASkin, const wchar_t* AGroup, const wchar_t* AName)
{
  TdxSkinProperty* property = nullptr;
  if (*AGroup == 0) {
    TdxSkinColor* color = ASkin->GetColorByName(AName);
    return color ? color->GetValue() : vcl::clNone;
  }
  TdxSkinControlGroup* group = ASkin->GetGroupByName(AGroup);
  if (group && group->GetPropertyByName(AName, property) && rtl::Is<TdxSkinColor>(property))
    return static_cast<TdxSkinColor*>(property)->GetValue();
  return vcl::clNone;
}

// Draws a window of the program's kind straight from a skin's elements, for
// people to look at: caption and frame, labels, an edit, buttons in each
// state, check boxes, tabs over a page and a memo with a scroll bar.
class TSkinsSheet {
 public:
  explicit TSkinsSheet(TdxSkin* ASkin) : FSkin(ASkin) {}

  void Render(const std::wstring& AFileName)
  {
    constexpr int width = 440, height = 300;
    const rtl::TOwnedPtr<TcxBitmap> bitmap(rtl::NewWith<TcxBitmap>([](TcxBitmap* B) { B->CreateSize(width, height); }));
    FCanvas = bitmap->GetcxCanvas();
    FCanvas->FillRect(bitmap->GetClientRect(), vcl::clWhite);
    Draw(L"Form", L"FormContent", {0, 0, width, height});
    const int w = Element(L"Form", L"FormFrameLeft")->GetSize().cx;
    Draw(L"Form", L"FormCaption", {0, 0, width, 28}, 0, TdxSkinElementState::esActive);
    Text(L"Kelvaro", {w + 6, 6, 200, 24}, Element(L"Form", L"FormCaption")->GetTextColor());
    int x = width - w;
    for (const wchar_t* button : {L"FormButtonClose", L"FormButtonMaximize", L"FormButtonMinimize"}) {
      const TSize size = Element(L"Form", button)->GetMinSize()->GetSize();
      x -= size.cx;
      Draw(L"Form", button, {x, 3, x + size.cx, 3 + size.cy},  0,
           button[10] == L'C' ? TdxSkinElementState::esHot : TdxSkinElementState::esNormal);
    }
    Draw(L"Form", L"FormFrameLeft", {0, 28, w, height - w}, 0, TdxSkinElementState::esActive);
    Draw(L"Form", L"FormFrameRight", {width - w, 28, width, height - w}, 0, TdxSkinElementState::esActive);
    Draw(L"Form", L"FormFrameBottom", {0, height - w, width, height}, 0, TdxSkinElementState::esActive);

    const vcl::TColor label = Element(L"Form", L"FormContent")->GetTextColor();
    Text(L"Model Name:", {16, 40, 120, 58}, label);
    Editor({110, 38, 300, 60}, L"Person", false);
    Text(L"Disabled:", {310, 40, 380, 58}, SkinsSheetColor(FSkin, L"Editors", L"TextDisabledColor"));

    int bx = 16;
    const struct {
      TdxSkinElementState State;
      const wchar_t* Caption;
      const wchar_t* Color;
    } buttons[] = {{TdxSkinElementState::esNormal, L"Generate", L"TextColor"},
                   {TdxSkinElementState::esHot, L"Hot", L"TextColorHot"},
                   {TdxSkinElementState::esPressed, L"Pressed", L"TextColorPressed"},
                   {TdxSkinElementState::esDisabled, L"Disabled", L"TextColorDisabled"},
                   {TdxSkinElementState::esActive, L"Default", L"TextColor"}};
    for (const auto& button : buttons) {
      const TRect r{bx, 68, bx + 76, 92};
      Draw(L"Common", L"Button", r, 0, button.State);
      TdxSkinProperty* color = nullptr;
      Element(L"Common", L"Button")->GetPropertyByName(button.Color, color);
      Text(button.Caption, {r.left + 8, r.top + 4, r.right, r.bottom},
           rtl::Is<TdxSkinColor>(color) ? static_cast<TdxSkinColor*>(color)->GetValue() : vcl::clRed);
      bx += 82;
    }
    for (int i = 0; i < 3; ++i)
      Draw(L"Editors", L"Checkbox", {16 + i * 24, 102, 29 + i * 24, 115}, i, TdxSkinElementState::esNormal);
    Text(L"Check box", {90, 100, 200, 118}, label);

    int tx = 16;
    const TdxSkinElementState tabs[] = {TdxSkinElementState::esPressed, TdxSkinElementState::esNormal,
                                        TdxSkinElementState::esHot, TdxSkinElementState::esDisabled};
    const wchar_t* tabColors[] = {L"TextColorSelected", L"TextColor", L"TextColorHot", L"TextColorDisabled"};
    const wchar_t* tabNames[] = {L"Model", L"CRUD", L"Hot", L"Disabled"};
    Draw(L"PageControl", L"TabPane", {12, 146, width - 12, height - 12});
    for (int i = 0; i < 4; ++i) {
      const TRect r{tx, 124, tx + 70, 147};
      Draw(L"PageControl", L"TabHeader", r, 0, tabs[i]);
      TdxSkinProperty* color = nullptr;
      Element(L"PageControl", L"TabHeader")->GetPropertyByName(tabColors[i], color);
      Text(tabNames[i], {r.left + 10, r.top + 4, r.right, r.bottom},
           rtl::Is<TdxSkinColor>(color) ? static_cast<TdxSkinColor*>(color)->GetValue() : vcl::clRed);
      tx += 72;
    }
    Editor({20, 154, width - 20, height - 20}, L"class Person {", true);
    const int sx = width - 20 - 17;
    Draw(L"Common", L"ScrollContentVert", {sx, 155, sx + 16, height - 21});
    Draw(L"Common", L"ScrollButton", {sx, 155, sx + 16, 171}, 0);
    Draw(L"Common", L"ScrollButton", {sx, height - 37, sx + 16, height - 21}, 1);
    Draw(L"Common", L"ScrollThumbVert", {sx, 175, sx + 16, 215}, 0, TdxSkinElementState::esHot);

    const rtl::TOwnedPtr<TdxPNGImage> png(rtl::New<TdxPNGImage>());
    png->LoadFromBitmap(bitmap.get());
    png->SaveToFile(AFileName);
  }

 private:
  TdxSkinElement* Element(const wchar_t* AGroup, const wchar_t* AName)
  {
    TdxSkinControlGroup* group = FSkin->GetGroupByName(AGroup);
    return dxSkinCheckElement(group ? group->GetElementByName(AName) : nullptr);
  }
  void Draw(const wchar_t* AGroup, const wchar_t* AName, const TRect& R, int AIndex = 0,
            TdxSkinElementState AState = TdxSkinElementState::esNormal)
  {
    Element(AGroup, AName)->Draw(FCanvas->GetHandle(), R, AIndex, AState);
  }
  void Text(const wchar_t* AText, const TRect& R, vcl::TColor AColor)
  {
    // Element drawing may leave another mode behind.
    SetBkMode(FCanvas->GetHandle(), TRANSPARENT);
    SetTextColor(FCanvas->GetHandle(), static_cast<COLORREF>(AColor));
    RECT r = R;
    DrawTextW(FCanvas->GetHandle(), AText, -1, &r, DT_SINGLELINE | DT_NOPREFIX);
  }
  void Editor(const TRect& R, const wchar_t* AText, bool AMemo)
  {
    FCanvas->FillRect(R, SkinsSheetColor(FSkin, L"", L"ContainerBorderColor"));
    FCanvas->FillRect({R.left + 1, R.top + 1, R.right - 1, R.bottom - 1},
                      SkinsSheetColor(FSkin, L"Editors", L"BackgroundColor"));
    Text(AText, {R.left + 4, R.top + 3, R.right - 20, R.top + 20}, SkinsSheetColor(FSkin, L"Editors", L"TextColor"));
    if (AMemo) {
      FCanvas->FillRect({R.left + 2, R.top + 22, R.left + 160, R.top + 40}, SkinsSheetColor(FSkin, L"", L"SelectionColor"));
      Text(L"String id;", {R.left + 4, R.top + 23, R.right - 20, R.top + 40},
           SkinsSheetColor(FSkin, L"", L"SelectionTextColor"));
    }
  }

  TdxSkin* FSkin;
  TcxCanvas* FCanvas = nullptr;
};

}  // namespace

// Not a test: one sheet per skin for people to look at. Run it on purpose:
//   skins_data_tests --gtest_also_run_disabled_tests --gtest_filter=*RenderSheets*
// It writes SkinSheet<Name>.png to the working directory (or to the folder
// named by KV_RENDER_DIR).
TEST(SkinsDataSheets, DISABLED_RenderSheets)
{
  const char* folder = std::getenv("KV_RENDER_DIR");
  const std::wstring prefix = folder ? std::wstring(folder, folder + std::strlen(folder)) + L"\\" : std::wstring();
  for (const TSkinsDataRow& row : SkinsDataTable()) {
    const TSkinsLoaded loaded(row.Name);
    TSkinsSheet(loaded.Skin.get()).Render(prefix + L"SkinSheet" + row.Name + L".png");
  }
}
