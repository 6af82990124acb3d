// The skin object model, its change tree and listeners, the properties,
// colour references and palettes.
#include <gtest/gtest.h>

#include "core/cxGeometry.h"
#include "tests/skins/SkinsTestSupport.h"

using enum TdxSkinChange;
using enum TdxSkinElementState;
using skinstest::NewSkin;

namespace {

class TSkinsTestListener : public rtl::TNoRefCountObject, public IdxSkinChangeListener {
  RTL_CLASS(TSkinsTestListener, rtl::TNoRefCountObject)
  RTL_INTERFACES(IdxSkinChangeListener)

 public:
  void __stdcall SkinChanged(TdxSkin*) override { ++Calls; }
  int Calls = 0;
};

class TSkinsTestListener2 : public rtl::TNoRefCountObject, public IdxSkinChangeListener2 {
  RTL_CLASS(TSkinsTestListener2, rtl::TNoRefCountObject)
  RTL_INTERFACES(IdxSkinChangeListener2)

 public:
  void __stdcall SkinChanged(TdxSkin*, TdxSkinChanges AChanges) override { Changes.push_back(AChanges); }
  std::vector<TdxSkinChanges> Changes;
};

// Removes itself from the skin it hears, and the listener after it too.
class TSkinsTestLeavingListener : public rtl::TNoRefCountObject, public IdxSkinChangeListener {
  RTL_CLASS(TSkinsTestLeavingListener, rtl::TNoRefCountObject)
  RTL_INTERFACES(IdxSkinChangeListener)

 public:
  void __stdcall SkinChanged(TdxSkin* Sender) override
  {
    ++Calls;
    Sender->RemoveListener(static_cast<IdxSkinChangeListener*>(this));
    if (Next)
      Sender->RemoveListener(Next);
  }
  int Calls = 0;
  IdxSkinChangeListener* Next = nullptr;
};

class TSkinsTestChangeReceiver : public rtl::TObject {
  RTL_CLASS(TSkinsTestChangeReceiver, rtl::TObject)

 public:
  void Changed(rtl::TObject*, TdxSkinChanges AChanges) { Received.push_back(AChanges); }
  std::vector<TdxSkinChanges> Received;
};

}  // namespace

TEST(SkinsObjectModel, LookupsAreCaseSensitiveWhileComparingIgnoresCase)
{
  auto skin = NewSkin();
  TdxSkinControlGroup* group = skin->AddGroup(L"Common");
  EXPECT_EQ(skin->GetGroupByName(L"Common"), group);
  EXPECT_EQ(skin->GetGroupByName(L"common"), nullptr);

  TdxSkinElement* upper = group->AddElement(L"Button");
  TdxSkinElement* lower = group->AddElement(L"button");
  EXPECT_TRUE(upper->Compare(lower));
  lower->SetAlpha(10);
  EXPECT_FALSE(upper->Compare(lower));
}

TEST(SkinsObjectModel, FirstLookupSortsTheListByName)
{
  auto skin = NewSkin();
  TdxSkinControlGroup* group = skin->AddGroup(L"Editors");
  for (const wchar_t* name : {L"Zeta", L"Alpha", L"Mid"})
    group->AddElement(name);
  EXPECT_EQ(group->GetElement(0)->GetName(), L"Zeta") << "insertion order until a lookup";
  ASSERT_NE(group->GetElementByName(L"Mid"), nullptr);
  EXPECT_EQ(group->GetElement(0)->GetName(), L"Alpha");
  EXPECT_EQ(group->GetElement(2)->GetName(), L"Zeta");
  EXPECT_EQ(group->GetElementByName(L"Missing"), nullptr);
}

TEST(SkinsObjectModel, EmptyTopLevelUpdateStillFlushesMarksAndNotifies)
{
  auto skin = NewSkin();
  TdxSkinColor* color = skin->AddColor(L"Accent", vcl::clDefault);
  skin->GetColorPalettes()->Add(L"Default")->Add(L"Accent", 0x0000FF);
  color->SetValueReference(L"Accent");
  ASSERT_EQ(color->GetValue(), 0x0000FF);
  TSkinsTestListener listener;
  TSkinsTestChangeReceiver receiver;
  skin->AddListener(static_cast<IdxSkinChangeListener*>(&listener));
  skin->SetOnChange(TdxSkinChangeNotify::Bind<&TSkinsTestChangeReceiver::Changed>(&receiver));
  skin->ClearModified();

  skin->BeginUpdate();
  skin->EndUpdate();

  EXPECT_EQ(color->ColorValue().StoredValue(), dxSkinUnresolvedColor) << "caches flushed";
  EXPECT_TRUE(skin->GetModified());
  EXPECT_EQ(listener.Calls, 1);
  EXPECT_TRUE(receiver.Received.empty()) << "no change event for the empty set";
  skin->RemoveListener(static_cast<IdxSkinChangeListener*>(&listener));
}

TEST(SkinsObjectModel, ChangesClimbToTheSkinAndItsListeners)
{
  auto skin = NewSkin();
  TdxSkinElement* element = skin->AddGroup(L"Common")->AddElement(L"Button");
  TSkinsTestListener twice;
  TSkinsTestListener2 extended;
  skin->AddListener(static_cast<IdxSkinChangeListener*>(&twice));
  skin->AddListener(static_cast<IdxSkinChangeListener*>(&twice));
  skin->AddListener(static_cast<IdxSkinChangeListener2*>(&extended));

  element->GetContentOffset()->SetLeft(3);
  EXPECT_EQ(twice.Calls, 2) << "a listener added twice hears twice";
  ASSERT_EQ(extended.Changes.size(), 1u);
  EXPECT_EQ(extended.Changes[0], TdxSkinChanges{scContent});

  skin->RemoveListener(static_cast<IdxSkinChangeListener*>(&twice));
  element->SetName(L"Renamed");
  EXPECT_EQ(twice.Calls, 3) << "one entry removed, one left";
  EXPECT_EQ(extended.Changes.back(), TdxSkinChanges{scStruct});
  skin->RemoveListener(static_cast<IdxSkinChangeListener*>(&twice));
  skin->RemoveListener(static_cast<IdxSkinChangeListener2*>(&extended));
}

TEST(SkinsObjectModel, ListenersLeavingDuringTheWalkEndItSafely)
{
  auto skin = NewSkin();
  TSkinsTestLeavingListener leaving;
  TSkinsTestListener next;
  leaving.Next = static_cast<IdxSkinChangeListener*>(&next);
  skin->AddListener(static_cast<IdxSkinChangeListener*>(&leaving));
  skin->AddListener(static_cast<IdxSkinChangeListener*>(&next));
  skin->AddColor(L"Any", 0);
  EXPECT_EQ(leaving.Calls, 1);
  EXPECT_EQ(next.Calls, 0) << "removed before its turn";
  EXPECT_EQ(skin->ListenerCount(), 0);
}

TEST(SkinsObjectModel, DisplayNameFallsBackToName)
{
  auto skin = NewSkin(L"Black");
  EXPECT_EQ(skin->GetDisplayName(), L"Black");
  skin->GetDetails()->SetDisplayName(L"Dark Black");
  EXPECT_EQ(skin->GetDisplayName(), L"Dark Black");
}

TEST(SkinsObjectModel, TextColorByButtonStateFallsBackToNormal)
{
  auto skin = NewSkin();
  TdxSkinElement* element = skin->AddGroup(L"Common")->AddElement(L"Button");
  element->SetTextColor(0x111111);
  EXPECT_EQ(element->GetTextColor(TcxButtonState::cxbsHot), 0x111111) << "no property: the element's colour";
  element->AddPropertyColor(L"TextColor", 0x222222);
  EXPECT_EQ(element->GetTextColor(TcxButtonState::cxbsHot), 0x222222) << "then the normal state's property";
  element->AddPropertyColor(L"TextColorHot", 0x333333);
  EXPECT_EQ(element->GetTextColor(TcxButtonState::cxbsHot), 0x333333);
  element->AddPropertyColor(L"HeaderTextColorDisabled", 0x444444);
  EXPECT_EQ(element->GetTextColor(TcxButtonState::cxbsDisabled, L"Header"), 0x444444);
}

TEST(SkinsObjectModel, CloneCopiesTheWholeSkin)
{
  auto skin = NewSkin(L"Source");
  skin->AddGroup(L"Common")->AddElement(L"Button")->SetColor(0x123456);
  skin->AddPropertyInteger(L"Padding", 4);
  rtl::TOwnedPtr<TdxSkin> copy(skin->Clone(L"Other"));
  EXPECT_EQ(copy->GetName(), L"Source");
  ASSERT_NE(copy->GetGroupByName(L"Common"), nullptr);
  EXPECT_EQ(copy->GetGroupByName(L"Common")->GetElementByName(L"Button")->GetColor(), 0x123456);
  EXPECT_EQ(skinstest::SavedBytes(copy.get()), skinstest::SavedBytes(skin.get()));
}

// ---------------------------------------------------------------------------
// Colour values and palettes

namespace {

// A skin with the palettes "Default" (Accent red) and "Night" (Accent blue)
// and a colour that refers to Accent.
struct TSkinsPaletteFixture {
  TSkinsPaletteFixture() : Skin(NewSkin())
  {
    TdxSkinColorPalettes* palettes = Skin->GetColorPalettes();
    palettes->Add(L"Default")->Add(L"Accent", 0x0000FF);
    palettes->Add(L"Night")->Add(L"Accent", 0xFF0000);
    Color = Skin->AddColor(L"Link", vcl::clDefault);
    Color->SetValueReference(L"Accent");
  }
  rtl::TOwnedPtr<TdxSkin> Skin;
  TdxSkinColor* Color;
};

}  // namespace

TEST(SkinsPalettes, ReferencesResolveAgainstTheActivePalette)
{
  TSkinsPaletteFixture f;
  EXPECT_EQ(f.Skin->GetActiveColorPaletteName(), L"Default");
  EXPECT_EQ(f.Color->GetValue(), 0x0000FF);
  const GUID before = f.Skin->GetID();

  f.Skin->SetActiveColorPaletteName(L"Night");
  EXPECT_EQ(f.Color->GetValue(), 0xFF0000);
  EXPECT_NE(f.Skin->GetID(), before) << "consumers see a new palette";

  f.Skin->SetActiveColorPaletteName(L"Unknown");
  EXPECT_EQ(f.Skin->GetActiveColorPaletteName(), L"Default");
  EXPECT_EQ(f.Color->GetValue(), 0x0000FF);
}

TEST(SkinsPalettes, UnresolvableReferencesReadAsTheDefault)
{
  TSkinsPaletteFixture f;
  f.Color->SetValueReference(L"Nowhere");
  EXPECT_EQ(f.Color->GetValue(), vcl::clDefault);

  TdxSkinElement* element = f.Skin->AddGroup(L"Common")->AddElement(L"Button");
  element->GetBorders()->GetTop()->SetColorReference(L"Nowhere");
  EXPECT_EQ(element->GetBorders()->GetTop()->GetColor(), vcl::clNone);
  EXPECT_EQ(element->GetBorders()->GetContentMargins().top, 0);
}

TEST(SkinsPalettes, WritingValuesAndReferences)
{
  TSkinsPaletteFixture f;
  TSkinsTestListener listener;
  f.Skin->AddListener(static_cast<IdxSkinChangeListener*>(&listener));

  f.Color->SetValueReference(L"");
  EXPECT_EQ(f.Color->GetValueReference(), L"");
  EXPECT_EQ(f.Color->GetValue(), 0x0000FF) << "the resolved colour stays as a plain value";

  f.Color->SetValueReference(L"Accent");
  const int calls = listener.Calls;
  f.Color->SetValue(f.Color->GetValue());
  EXPECT_EQ(f.Color->GetValueReference(), L"") << "writing the same value drops the reference";
  EXPECT_EQ(listener.Calls, calls + 1);
  f.Color->SetValue(0x0000FF);
  EXPECT_EQ(listener.Calls, calls + 1) << "a plain value written again is no change";
  f.Skin->RemoveListener(static_cast<IdxSkinChangeListener*>(&listener));
}

TEST(SkinsPalettes, APaletteColourReferringToItselfReadsTheDefault)
{
  TSkinsPaletteFixture f;
  TdxSkinColor* loop = f.Skin->GetActiveColorPalette()->Add(L"Loop", rtl::String(L"Loop"));
  f.Color->SetValueReference(L"Loop");
  EXPECT_EQ(loop->GetValue(), vcl::clDefault);
  EXPECT_EQ(f.Color->GetValue(), vcl::clDefault);
}

TEST(SkinsPalettes, DefaultGlyphPaletteByState)
{
  TSkinsPaletteFixture f;
  auto* palettes = static_cast<TdxSkinColorPalettes*>(
      f.Skin->AddProperty(L"DefaultGlyphColorPalettes", TdxSkinPropertyClass::Of<TdxSkinColorPalettes>()));
  TdxSkinColorPalette* normal = palettes->Add(L"Normal");
  TdxSkinColorPalette* disabled = palettes->Add(L"Disabled");
  const auto is = [](const rtl::IPtr<IdxColorPalette>& A, IdxColorPalette* B) { return A.Get() == B; };
  EXPECT_TRUE(is(f.Skin->GetDefaultGlyphColorPalette(esDisabled), disabled));
  EXPECT_TRUE(is(f.Skin->GetDefaultGlyphColorPalette(esHot), normal)) << "a missing state takes Normal";
  f.Skin->DeleteProperty(L"DefaultGlyphColorPalettes");
  EXPECT_TRUE(is(f.Skin->GetDefaultGlyphColorPalette(esHot), static_cast<IdxColorPalette*>(f.Skin.get())));
}

TEST(SkinsProperties, DescriptionsCompareAndAnnouncements)
{
  const struct {
    rtl::TClass Class;
    const wchar_t* Description;
  } cases[] = {{TdxSkinIntegerProperty::StaticClass(), L"Integer"},
               {TdxSkinAlphaColor::StaticClass(), L"AlphaColor"},
               {TdxSkinWideStringProperty::StaticClass(), L"WideString"},
               {TdxSkinColorPalettes::StaticClass(), L"ColorPalettes"}};
  for (const auto& c : cases)
    EXPECT_EQ(TdxSkinProperty::Description(c.Class), c.Description);

  auto skin = NewSkin();
  TSkinsTestListener listener;
  skin->AddListener(static_cast<IdxSkinChangeListener*>(&listener));
  auto* size = static_cast<TdxSkinSizeProperty*>(skin->AddProperty(L"Gap", TdxSkinPropertyClass::Of<TdxSkinSizeProperty>()));
  size->SetValue({10, 10});
  const int calls = listener.Calls;
  size->SetValueByIndex(1, 20);
  EXPECT_EQ(size->GetValue().cy, 20);
  EXPECT_EQ(listener.Calls, calls + 1);
  size->SetValue({10, 20});
  EXPECT_EQ(listener.Calls, calls + 1);
  skin->RemoveListener(static_cast<IdxSkinChangeListener*>(&listener));
}

TEST(SkinsProperties, BordersContentMargins)
{
  auto skin = NewSkin();
  TdxSkinBorders* borders = skin->AddGroup(L"Common")->AddElement(L"Panel")->GetBorders();
  borders->GetLeft()->SetThin(1);
  borders->GetTop()->SetColor(0);
  borders->GetTop()->SetThin(2);
  borders->GetRight()->SetColor(0);
  borders->GetBottom()->SetThin(3);
  const TRect margins = borders->GetContentMargins();
  EXPECT_EQ(margins.left, 0);
  EXPECT_EQ(margins.top, 2);
  EXPECT_EQ(margins.right, 1);
  EXPECT_EQ(margins.bottom, 0);
}
