// The package format against bytes written by hand, the version rules, the
// writer's round trip, damaged packages and the container.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/cxGeometry.h"
#include "platform/rtl/ClassesComponents.h"
#include "tests/skins/SkinsTestSupport.h"

using enum TdxSkinElementState;
using namespace skinstest;

namespace {

constexpr std::int32_t SkinsClNone = 0x1FFFFFFF;
constexpr std::int32_t SkinsClDefault = 0x20000000;
constexpr std::int32_t SkinsUnresolved = 0x1FFFFFFE;

// A package of the given version laid out by the format's own rules: the
// skin "Black" with a colour, an integer property, the group Common with the
// element Button and, from 1.15 on, the palette Default.
class TSkinsHandPackage {
 public:
  // AGlyphBlob: the bytes of the glyph's texture (none when empty).
  explicit TSkinsHandPackage(double AVersion, const TSkinsBytes& AGlyphBlob = {}) : V(AVersion), Blob(AGlyphBlob)
  {
    PutHeader(B, V);
    PutStr(B, "Black");
    if (V >= 1.04) {
      PutStr(B, "Dark");
      PutStr(B, "Standard Skins");
      PutInt(B, 0);  // notes
      PutInt(B, 0);  // icons
      PutInt(B, 0);
    }
    PutInt(B, 1);
    PutStr(B, "TdxSkinColor");
    PutStr(B, "Accent");
    Colour(0x0000FF, "");
    PutInt(B, 1);
    PutStr(B, "TdxSkinIntegerProperty");
    PutStr(B, "Padding");
    PutInt(B, 7);
    PutInt(B, 1);  // groups
    PutStr(B, "Common");
    PutInt(B, 1);  // elements
    PutStr(B, "Button");
    Element();
    PutInt(B, 0);  // group properties
    if (V >= 1.15) {
      PutInt(B, 1);
      PutStr(B, "TdxSkinColorPalette");
      PutStr(B, "Default");
      PutInt(B, 1);
      PutStr(B, "TdxSkinColor");
      PutStr(B, "Accent");
      Colour(0x00FFFF, "");
    }
  }

  TSkinsBytes B;

 private:
  void Colour(std::int32_t AValue, const std::string& AReference)
  {
    PutInt(B, AValue);
    if (V >= 1.15)
      PutStr(B, AReference);
  }

  void Element()
  {
    // Packages keep a referenced colour unresolved.
    if (V >= 1.15)
      Colour(SkinsUnresolved, "Accent");
    else
      Colour(SkinsClDefault, "");
    PutByte(B, 200);
    if (V < 1.1)
      PutInt(B, 2);  // image count of both images
    for (const int side : {1, 2, 3, 4})
      PutInt(B, side);
    Image(false);  // glyph
    Image(true);   // image
    for (const int side : {0, 1, 2, 3}) {
      if (V <= 1.09) {
        PutStr(B, "TdxSkinBorder");
        PutStr(B, "Side");
      }
      Colour(side == 1 ? 0 : SkinsClNone, "");
      PutInt(B, side == 1 ? 2 : 1);
    }
    Colour(0x00FF00, "");
    PutInt(B, 10);
    PutInt(B, 20);
    PutInt(B, 1);
    PutStr(B, "TdxSkinBooleanProperty");
    PutStr(B, "Flat");
    PutByte(B, 1);
  }

  void Image(bool AMain)
  {
    for (int i = 0; i < 4; ++i)
      PutInt(B, AMain ? 2 : 0);
    PutByte(B, AMain ? 1 : 0);  // layout
    if (V >= 1.1)
      PutInt(B, AMain ? 3 : 1);
    const std::uint16_t states = AMain ? 0x0009 : 0x0001;
    Put(B, &states, 2);
    PutByte(B, AMain ? 1 : 0);  // stretch
    if (V >= 1.02) {
      Colour(AMain ? 0x0000FF : SkinsClNone, "");
      Colour(SkinsClNone, "");
      PutByte(B, AMain ? 1 : 0);
    }
    PutInt(B, AMain ? 0 : static_cast<std::int32_t>(Blob.size()));
    if (!AMain)
      B.insert(B.end(), Blob.begin(), Blob.end());
    if (V >= 1.15)
      PutInt(B, 0);
    if (V >= 1.24)
      PutByte(B, AMain ? 5 : 0);
  }

  double V;
  TSkinsBytes Blob;
};

TdxSkinElement* SkinsButtonOf(TdxSkin* ASkin)
{
  TdxSkinControlGroup* group = ASkin->GetGroupByName(L"Common");
  return group ? group->GetElementByName(L"Button") : nullptr;
}

}  // namespace

TEST(SkinsFormat, HeaderAndNameBytesArePinned)
{
  auto skin = NewSkin(L"Black");
  const TSkinsBytes saved = SavedBytes(skin.get());
  const TSkinsBytes head = {0x00, 0x00, 0x00, 0x00, 0x64, 0x78, 0x53, 0x6B, 0x69, 0x6E, 0x00, 0x00, 0x00, 0x00,
                            0x00, 0x00, 0xF4, 0x3F, 0x05, 0x00, 0x00, 0x00, 0x42, 0x6C, 0x61, 0x63, 0x6B};
  ASSERT_GE(saved.size(), head.size());
  EXPECT_EQ(TSkinsBytes(saved.begin(), saved.begin() + static_cast<std::ptrdiff_t>(head.size())), head);
}

TEST(SkinsFormat, EveryVersionReadsByItsOwnRules)
{
  for (const double version : {1.0, 1.02, 1.05, 1.08, 1.09, 1.1, 1.15, 1.24, 1.25}) {
    SCOPED_TRACE(version);
    const TSkinsHandPackage package(version);
    auto stream = StreamOf(package.B);
    auto skin = NewSkin(L"Other");
    skin->LoadFromStream(stream.get());
    EXPECT_EQ(stream->GetPosition(), stream->GetSize()) << "every field consumed, none more";

    EXPECT_EQ(skin->GetName(), L"Black");
    EXPECT_EQ(skin->GetDetails()->GetDisplayName(), version >= 1.04 ? L"Dark" : L"");
    ASSERT_NE(skin->GetColorByName(L"Accent"), nullptr);
    EXPECT_EQ(skin->GetColorByName(L"Accent")->GetValue(), 0x0000FF);
    TdxSkinElement* button = SkinsButtonOf(skin.get());
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->GetAlpha(), 200);
    EXPECT_EQ(button->GetContentOffset()->GetRect(), (TRect{1, 2, 3, 4}));
    TdxSkinImage* image = button->GetImage();
    EXPECT_EQ(image->GetImageCount(), version >= 1.1 ? 3 : 2);
    EXPECT_EQ(button->GetGlyph()->GetImageCount(), version >= 1.1 ? 1 : 2);
    EXPECT_EQ(image->GetImageLayout(), TdxSkinImageLayout::ilVertical);
    EXPECT_EQ(image->GetStates(), (TdxSkinElementStates{esNormal, esDisabled}));
    EXPECT_EQ(image->GetStretch(), TdxSkinStretchMode::smTile);
    EXPECT_EQ(image->GradientBeginColor().GetValue(), version >= 1.02 ? 0x0000FF : vcl::clNone);
    EXPECT_EQ(image->GetInterpolationMode(), version >= 1.24 ? imNearestNeighbor : imDefault);
    EXPECT_EQ(button->GetBorders()->GetTop()->GetColor(), 0);
    EXPECT_EQ(button->GetBorders()->GetTop()->GetThin(), 2);
    EXPECT_EQ(button->GetTextColor(), 0x00FF00);
    EXPECT_EQ(button->GetMinSize()->GetSize(), (TSize{10, 20}));
    auto* flat = rtl::As<TdxSkinBooleanProperty>(button->GetPropertyByName(L"Flat"));
    ASSERT_NE(flat, nullptr);
    EXPECT_TRUE(flat->GetValue());
    // From 1.15 the element's colour refers to the palette's Accent.
    EXPECT_EQ(button->GetColor(), version >= 1.15 ? 0x00FFFF : vcl::clDefault);
    EXPECT_EQ(skin->GetColorPalettes()->GetCount(), version >= 1.15 ? 1 : 0);
  }
}

TEST(SkinsFormat, WriterWritesTheCurrentVersionByteForByte)
{
  const TSkinsBytes package = TSkinsHandPackage(1.25).B;
  auto skin = NewSkin();
  skin->LoadFromStream(StreamOf(package).get());
  EXPECT_EQ(SavedBytes(skin.get()), package);

  // An old package is written back in the current layout.
  auto old = NewSkin();
  old->LoadFromStream(StreamOf(TSkinsHandPackage(1.02).B).get());
  auto reread = NewSkin();
  reread->LoadFromStream(StreamOf(SavedBytes(old.get())).get());
  EXPECT_EQ(SavedBytes(reread.get()), SavedBytes(old.get()));
  EXPECT_EQ(SkinsButtonOf(reread.get())->GetImage()->GetImageCount(), 2);
}

TEST(SkinsFormat, HeadersBelowVersionOneAreRejected)
{
  TSkinsBytes old = TSkinsHandPackage(1.0).B;
  const double version = 0.99;
  std::memcpy(old.data() + 10, &version, 8);
  TSkinsBytes wrongSignature = TSkinsHandPackage(1.25).B;
  wrongSignature[4] = 'D';
  for (const TSkinsBytes& bytes : {old, wrongSignature, TSkinsBytes(10, 0)}) {
    auto skin = NewSkin(L"Kept");
    EXPECT_THROW(skin->LoadFromStream(StreamOf(bytes).get()), EdxSkinError);
    EXPECT_EQ(skin->GetName(), L"Kept");
  }
}

TEST(SkinsFormat, ShortLengthsAndBlobsDoNotShiftTheFields)
{
  // The glyph's texture: ten bytes that are no image; whatever the image
  // makes of them, the reader goes on right after them.
  const TSkinsHandPackage package(1.25, TSkinsBytes{'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'g'});
  auto skin = NewSkin();
  auto stream = StreamOf(package.B);
  skin->LoadFromStream(stream.get());
  EXPECT_EQ(stream->GetPosition(), stream->GetSize());
  EXPECT_EQ(SkinsButtonOf(skin.get())->GetImage()->GetImageCount(), 3);

  // Lengths of zero or below read as empty and take only their four bytes.
  TSkinsBytes negative;
  PutInt(negative, -5);
  PutInt(negative, 0);
  auto lengths = StreamOf(negative);
  EXPECT_EQ(dxSkinReadString(lengths.get()), L"");
  EXPECT_EQ(dxSkinReadWideString(lengths.get()), L"");
  EXPECT_EQ(lengths->GetPosition(), 8);
}

// ---------------------------------------------------------------------------
// A skin built in code

namespace {

rtl::TOwnedPtr<TdxSkin> SkinsRichSkin()
{
  auto skin = NewSkin(L"Rich");
  skin->BeginUpdate();
  TdxSkinDetails* details = skin->GetDetails();
  details->SetDisplayName(L"Rich Skin");
  details->SetGroupName(L"Vector Skins");
  details->SetNotes(L"Notes \x00E9\x4E2D");
  TdxSkinColorPalettes* palettes = skin->GetColorPalettes();
  palettes->Add(L"Amber")->Add(L"Accent", 0x00BFFF);
  palettes->Add(L"Default")->Add(L"Accent", 0xCC7A00);
  skin->AddColor(L"Link", vcl::clDefault)->SetValueReference(L"Accent");
  skin->AddPropertyBool(L"Rounded", true);
  skin->AddPropertyInteger(L"Padding", -3);
  auto* text = static_cast<TdxSkinStringProperty*>(
      skin->AddProperty(L"Author", TdxSkinPropertyClass::Of<TdxSkinStringProperty>()));
  text->SetValue(L"K\x00E4lvaro");
  auto* wide = static_cast<TdxSkinWideStringProperty*>(
      skin->AddProperty(L"Title", TdxSkinPropertyClass::Of<TdxSkinWideStringProperty>()));
  wide->SetValue(L"\x4E2D\x6587");
  auto* size = static_cast<TdxSkinSizeProperty*>(
      skin->AddProperty(L"Gap", TdxSkinPropertyClass::Of<TdxSkinSizeProperty>()));
  size->SetValue({3, 4});
  auto* rect = static_cast<TdxSkinRectProperty*>(
      skin->AddProperty(L"Inset", TdxSkinPropertyClass::Of<TdxSkinRectProperty>()));
  rect->GetValue()->SetRect({1, 2, 3, 4});

  TdxSkinControlGroup* group = skin->AddGroup(L"Common");
  group->AddPropertyColor(L"Back", 0x102030);
  TdxSkinElement* button = group->AddElement(L"Button");
  button->SetColorReference(L"Accent");
  button->GetImage()->SetStates({esNormal, esHot});
  LoadFrames(button->GetImage(), {4, 4}, {Red, Green});
  button->GetImage()->GetMargins()->SetAll(1);
  TdxSkinColorPalette* normal = button->GetImage()->GetColorPalettes()->Add(L"Normal");
  static_cast<TdxSkinAlphaColor*>(normal->Add(L"Fill", 0x0000FF))->SetValueAlpha(128);
  button->GetGlyph()->GradientBeginColor().SetValue(0x00FF00);
  button->GetBorders()->GetBottom()->SetColor(0x404040);
  TdxSkinAlternateImageAttributes* attributes = button->AddAlternateImageAttributes(esHot, 0);
  attributes->GradientBeginColor().SetValue(0x0000FF);
  attributes->GetBordersInner()->GetLeft()->SetColor(0);
  attributes->GetContentOffsets()->SetRect({1, 1, 1, 1});
  group->AddElement(L"Header")->GetMinSize()->SetSize({5, 6});
  skin->EndUpdate();
  return skin;
}

}  // namespace

TEST(SkinsFormat, SavedLoadedAndSavedAgainGivesTheSameBytes)
{
  auto skin = SkinsRichSkin();
  const TSkinsBytes first = SavedBytes(skin.get());
  auto loaded = NewSkin();
  loaded->LoadFromStream(StreamOf(first).get());
  EXPECT_EQ(SavedBytes(loaded.get()), first);
  EXPECT_EQ(loaded->GetDetails()->GetNotes(), L"Notes \x00E9\x4E2D");
  EXPECT_EQ(SkinsButtonOf(loaded.get())->GetColor(), 0xCC7A00);
  EXPECT_EQ(SkinsButtonOf(loaded.get())->GetImage()->GetSize(), (TSize{4, 4}));
}

// ---------------------------------------------------------------------------
// Damaged packages

TEST(SkinsFormat, DamagedPackagesRaiseAndLeaveTheSkinAsItWas)
{
  const TSkinsBytes good = TSkinsHandPackage(1.25).B;
  const auto withInt = [&](std::size_t AOffset, std::int32_t AValue) {
    TSkinsBytes bytes = good;
    std::memcpy(bytes.data() + AOffset, &AValue, 4);
    return bytes;
  };
  // Offsets: 18 the skin's name length, then the details.
  const std::size_t colourCount = 18 + 9 + 8 + 18 + 12;
  TSkinsBytes foreignClass = good;
  const std::string className = "TdxSkinColor";
  const auto at = std::search(foreignClass.begin(), foreignClass.end(), className.begin(), className.end());
  std::copy_n("TdxSkinImage", 12, at);
  const struct {
    const char* Name;
    TSkinsBytes Bytes;
  } cases[] = {
      {"truncated in the groups", TSkinsBytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2))},
      {"truncated in the palettes", TSkinsBytes(good.begin(), good.end() - 3)},
      {"huge name length", withInt(18, 0x7FFFFFFF)},
      {"huge colour count", withInt(colourCount, 0x7FFFFFFF)},
      {"a registered class that is no property", foreignClass},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    auto skin = SkinsRichSkin();
    const TSkinsBytes before = SavedBytes(skin.get());
    EXPECT_THROW(skin->LoadFromStream(StreamOf(c.Bytes).get()), rtl::Exception);
    EXPECT_EQ(SavedBytes(skin.get()), before);
  }
}

TEST(SkinsFormat, NestedPaletteListsAreLimited)
{
  TSkinsBytes bytes;
  PutHeader(bytes, 1.25);
  PutStr(bytes, "Deep");
  for (int i = 0; i < 5; ++i)
    PutInt(bytes, 0);
  PutInt(bytes, 0);  // colours
  for (int level = 0; level < 40; ++level) {
    PutInt(bytes, 1);
    PutStr(bytes, "TdxSkinColorPalettes");
    PutStr(bytes, "Level");
  }
  PutInt(bytes, 0);
  auto skin = NewSkin();
  EXPECT_THROW(skin->LoadFromStream(StreamOf(bytes).get()), EdxSkinError);
}

TEST(SkinsFormat, MutatedPackagesNeverCrashOrHang)
{
  auto rich = SkinsRichSkin();
  const TSkinsBytes base = SavedBytes(rich.get());
  auto skin = NewSkin();
  skin->LoadFromStream(StreamOf(base).get());
  const TSkinsBytes snapshot = SavedBytes(skin.get());
  ASSERT_EQ(snapshot, base);
  std::mt19937 random(20261210);
  const auto pick = [&](std::size_t AUpper) { return std::uniform_int_distribution<std::size_t>(0, AUpper - 1)(random); };
  int failures = 0;
  for (int i = 0; i < 3000; ++i) {
    TSkinsBytes bytes = base;
    switch (i % 4) {
      case 0:
        bytes[pick(bytes.size())] = static_cast<std::uint8_t>(pick(256));
        break;
      case 1: {
        const std::int32_t values[] = {0x7FFFFFFF, -1, -100, 0x10000, 3};
        const std::size_t offset = pick(bytes.size() - 4);
        std::memcpy(bytes.data() + offset, &values[pick(5)], 4);
        break;
      }
      case 2:
        bytes.resize(pick(bytes.size()));
        break;
      default:
        for (int k = 0; k < 3; ++k)
          bytes[pick(bytes.size())] ^= static_cast<std::uint8_t>(1 + pick(255));
        break;
    }
    try {
      skin->LoadFromStream(StreamOf(bytes).get());
    } catch (const rtl::Exception&) {
      ++failures;
      if (failures % 25 == 0) {
        ASSERT_EQ(SavedBytes(skin.get()), snapshot) << "mutation " << i;
      }
      continue;
    }
    // A mutation the reader accepts becomes the skin's content: back to the
    // start for the next one.
    skin->Assign(rich.get());
  }
  EXPECT_GT(failures, 500);
}

// ---------------------------------------------------------------------------
// The container

TEST(SkinsContainer, WritesAndFindsItsPackages)
{
  auto black = NewSkin(L"Black");
  auto blue = NewSkin(L"Blue");
  blue->GetDetails()->SetDisplayName(L"The Blue");
  rtl::TOwnedPtr<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
  {
    rtl::TOwnedPtr<TdxSkinBinaryWriter> writer(rtl::New<TdxSkinBinaryWriter>(stream.get()));
    writer->AddSkin(black.get());
    writer->AddSkin(blue.get());
    writer->Finish();
  }
  EXPECT_EQ(stream->GetPosition(), 22) << "left after the count";
  stream->SetPosition(0);
  rtl::TOwnedPtr<TdxSkinBinaryReader> reader(rtl::New<TdxSkinBinaryReader>(stream.get()));
  ASSERT_EQ(reader->GetCount(), 2);
  EXPECT_EQ(reader->GetSkinName(1), L"Blue");
  EXPECT_EQ(reader->GetSkinDisplayName(1), L"The Blue");
  EXPECT_EQ(reader->GetSkinOffset(0), 26);

  auto target = NewSkin(L"Target");
  EXPECT_TRUE(reader->LoadSkin(target.get(), L"blue"));
  EXPECT_EQ(target->GetName(), L"Blue");
  EXPECT_TRUE(reader->LoadSkin(target.get(), L""));
  EXPECT_EQ(target->GetName(), L"Black");
  EXPECT_FALSE(reader->LoadSkin(target.get(), 2));
  EXPECT_FALSE(reader->LoadSkin(target.get(), L"Green"));
}

TEST(SkinsContainer, ASinglePackageIsOneEntryEvenWithAnEmptyName)
{
  for (const wchar_t* name : {L"Black", L""}) {
    SCOPED_TRACE(name);
    auto skin = NewSkin(name);
    skin->AddColor(L"Marker", 0x123456);
    TSkinsBytes bytes(7, 0xAB);
    const TSkinsBytes package = SavedBytes(skin.get());
    bytes.insert(bytes.end(), package.begin(), package.end());
    auto stream = StreamOf(bytes);
    stream->SetPosition(7);
    rtl::TOwnedPtr<TdxSkinBinaryReader> reader(rtl::New<TdxSkinBinaryReader>(stream.get()));
    ASSERT_EQ(reader->GetCount(), 1);
    EXPECT_EQ(reader->GetSkinOffset(0), 7);
    auto target = NewSkin(L"Target");
    EXPECT_TRUE(reader->LoadSkin(target.get(), 0));
    ASSERT_NE(target->GetColorByName(L"Marker"), nullptr);
  }
}

TEST(SkinsContainer, DamagedContainersFindOnlyWhatIsThere)
{
  auto skin = SkinsRichSkin();
  rtl::TOwnedPtr<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
  skin->SaveToBinaryStream(stream.get());
  const TSkinsBytes base = BytesOf(stream.get());
  std::mt19937 random(1211);
  for (int i = 0; i < 500; ++i) {
    TSkinsBytes bytes = base;
    // The count, a package size (-4 would lead back to itself) or any byte.
    const std::size_t offset = i % 3 == 0 ? 18 : i % 3 == 1 ? 22 : random() % (bytes.size() - 4);
    const std::int32_t values[] = {-4, -1, 0x7FFFFFFF, 2, 0};
    std::memcpy(bytes.data() + offset, &values[random() % 5], 4);
    auto mutated = StreamOf(bytes);
    rtl::TOwnedPtr<TdxSkinBinaryReader> reader(rtl::New<TdxSkinBinaryReader>(mutated.get()));
    EXPECT_LE(reader->GetCount(), 2) << "mutation " << i;
  }
}
