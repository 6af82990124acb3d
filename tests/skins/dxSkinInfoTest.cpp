// The skin information: what binding an empty skin leaves, re-resolution on
// a change, mistyped properties, the scroll infos and the caption-button
// size.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "skins/dxSkinInfo.h"
#include "tests/skins/SkinsTestSupport.h"

using enum TcxScrollBarPart;
using enum TdxSkinObjectState;
using namespace skinstest;

namespace {

// The information owns the skin it binds.
rtl::TOwnedPtr<TdxSkinInfo> NewBoundInfo(TdxSkin* ASkin)
{
  return rtl::TOwnedPtr<TdxSkinInfo>(rtl::New<TdxSkinInfo>(ASkin));
}

TdxSkin* NewRawSkin()
{
  return rtl::New<TdxSkin>(rtl::String(L"Test"), false, HINSTANCE(nullptr));
}

}  // namespace

TEST(SkinInfo, AnEmptySkinGetsEveryGroupAndARedCrossForEveryCreatedElement)
{
  rtl::TOwnedPtr<TdxSkinInfo> info = NewBoundInfo(NewRawSkin());
  TdxSkin* skin = info->GetSkin();

  for (const wchar_t* group : dxSkinInfoGroupNames()) {
    TdxSkinControlGroup* found = skin->GetGroupByName(group);
    ASSERT_NE(found, nullptr) << rtl::String(group);
    EXPECT_EQ(found->GetState(), TdxSkinObjectStates{sosUnassigned}) << rtl::String(group);
  }
  for (const TdxSkinInfoElementName& entry : dxSkinInfoElementNames()) {
    TdxSkinElement* field = entry.Field(*info);
    if (!entry.Created) {
      EXPECT_EQ(field, nullptr) << rtl::String(entry.Name);
      continue;
    }
    ASSERT_NE(field, nullptr) << rtl::String(entry.Group) << "/" << rtl::String(entry.Name);
    EXPECT_EQ(field->GetName(), rtl::String(entry.Name));
    EXPECT_EQ(field->GetState(), TdxSkinObjectStates{sosUnassigned}) << rtl::String(entry.Name);
  }
  for (const TdxSkinInfoColorName& entry : dxSkinInfoColorNames())
    EXPECT_EQ(entry.Field(*info), nullptr) << rtl::String(entry.Name);
  EXPECT_TRUE(skin->HasMissingElements());
  EXPECT_EQ(info->FormCaptionFontDelta, 1);
  EXPECT_EQ(info->PageControlIndents, (std::array<int, 8>{}));
  EXPECT_FALSE(info->EditButtonMergeBorders);

  // The placeholder: a red cross on opaque black.
  TSkinsRendering cross(32, 32, [&](TdxGPCanvas* ACanvas) {
    info->ButtonElements->DrawEx(ACanvas, TRect{0, 0, 32, 32}, dxGetDefaultScaleFactor());
  });
  EXPECT_EQ(cross.Pixel(16, 16), Red);
  EXPECT_EQ(cross.Pixel(5, 5), Red);
  EXPECT_EQ(cross.Pixel(5, 26), Red);
  EXPECT_EQ(cross.Pixel(16, 4), Black);
}

TEST(SkinInfo, ScrollInfosCoverTenPartsWithTheirImageIndexes)
{
  rtl::TOwnedPtr<TdxSkinInfo> info = NewBoundInfo(NewRawSkin());
  struct {
    bool Horizontal;
    TcxScrollBarPart Part;
    const wchar_t* Element;
    int ImageIndex;
  } const cases[] = {
      {false, sbpLineUp, L"ScrollButton", 0},      {false, sbpLineDown, L"ScrollButton", 1},
      {true, sbpLineUp, L"ScrollButton", 2},       {true, sbpLineDown, L"ScrollButton", 3},
      {false, sbpThumbnail, L"ScrollThumbVert", 0}, {true, sbpThumbnail, L"ScrollThumbHorz", 0},
      {false, sbpPageDown, L"ScrollContentVert", 0}, {true, sbpPageUp, L"ScrollContentHorz", 0},
  };
  for (const auto& c : cases) {
    TdxSkinScrollInfo* scroll = info->ScrollBar_Elements[c.Horizontal][static_cast<int>(c.Part)];
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(scroll->GetElement()->GetName(), rtl::String(c.Element));
    EXPECT_EQ(scroll->GetImageIndex(), c.ImageIndex);
  }
  EXPECT_EQ(info->ScrollBar_Elements[0][static_cast<int>(sbpNone)], nullptr);
  EXPECT_EQ(info->ScrollBar_Elements[1][static_cast<int>(sbpNone)], nullptr);

  rtl::TOwnedPtr<TdxSkinScrollInfo> empty(rtl::New<TdxSkinScrollInfo>(nullptr, 0, sbpLineUp));
  EXPECT_FALSE(empty->Draw(nullptr, TRect{0, 0, 4, 4}, TdxSkinElementState::esNormal));
}

TEST(SkinInfo, ResolvesAgainWhenTheSkinChangesAndLetsGoWhenUnbound)
{
  rtl::TOwnedPtr<TdxSkinInfo> info = NewBoundInfo(NewRawSkin());
  TdxSkin* skin = info->GetSkin();
  EXPECT_EQ(skin->ListenerCount(), 1);
  info->SetSkin(skin);
  EXPECT_EQ(skin->ListenerCount(), 1) << "binding the same skin twice does nothing";

  skin->AddColor(L"ContentColor", vcl::clRed);
  ASSERT_NE(info->ContentColor, nullptr) << "a change of the skin resolves everything again";
  EXPECT_EQ(info->ContentColor->GetValue(), vcl::clRed);

  info->SetSkin(nullptr);
  EXPECT_EQ(skin->ListenerCount(), 0);
  EXPECT_EQ(info->ScrollBar_Elements[0][static_cast<int>(sbpLineUp)], nullptr);
  rtl::Free(skin);
}

TEST(SkinInfo, ResolvesTheSkinsOwnValues)
{
  TdxSkin* skin = NewRawSkin();
  TdxSkinControlGroup* editors = skin->AddGroup(L"Editors");
  editors->AddElement(L"EditorButton")->AddPropertyBool(L"MergeBorders", true);
  editors->AddPropertyColor(L"TextReadOnlyColor", vcl::clGreen);
  skin->AddGroup(L"Form")->AddElement(L"FormCaption")->AddPropertyInteger(L"FontDelta", 3);
  skin->AddGroup(L"PageControl")->AddPropertyInteger(L"SelectedHeaderHGrow", 2);
  skin->AddGroup(L"Scheduler")->AddPropertyColor(L"ResourceColor12", vcl::clBlue);
  rtl::TOwnedPtr<TdxSkinInfo> info = NewBoundInfo(skin);

  EXPECT_TRUE(info->EditButtonMergeBorders);
  ASSERT_NE(info->EditorTextColors[3], nullptr);
  EXPECT_EQ(info->EditorTextColors[3]->GetValue(), vcl::clGreen);
  EXPECT_EQ(info->FormCaptionFontDelta, 3);
  EXPECT_EQ(info->PageControlIndents[3], 2);
  ASSERT_NE(info->SchedulerResourceColors[11], nullptr);
  EXPECT_EQ(info->SchedulerResourceColors[11]->GetValue(), vcl::clBlue);
  EXPECT_EQ(editors->GetElementByName(L"EditorButton")->GetState(), TdxSkinObjectStates{})
      << "a supplied element is marked used";
}

// The values read by value rather than kept as references: colours with
// their alpha, a map shape's per-state names, the ribbon's text colours,
// and the defaults a missing property leaves.
TEST(SkinInfo, ReadsTheValuesOfTheFurtherGroups)
{
  TdxSkin* skin = NewRawSkin();
  TdxSkinControlGroup* map = skin->AddGroup(L"MapControl");
  map->AddPropertyColor(L"PanelTextColor", vcl::clRed);
  map->AddPropertyInteger(L"PanelTextColorAlpha", 128);
  map->AddPropertyColor(L"PanelBackColor", vcl::clBlue);
  TdxSkinElement* shape = map->AddElement(L"Shape");
  shape->AddPropertyColor(L"BackColor", vcl::clGreen);
  shape->AddPropertyColor(L"HighlightedColor", vcl::clRed);
  shape->AddPropertyInteger(L"SelectedBorderWidth", 3);
  TdxSkinElement* callout = map->AddElement(L"Callout");
  callout->AddPropertyInteger(L"PointerX", 4);
  callout->AddPropertyInteger(L"PointerY", 9);
  TdxSkinControlGroup* ribbon = skin->AddGroup(L"Ribbon");
  TdxSkinElement* caption = ribbon->AddElement(L"FormCaption");
  caption->SetTextColor(vcl::clYellow);
  caption->AddPropertyColor(L"TextColorInactive", vcl::clGray);
  ribbon->AddPropertyColor(L"ButtonDisabled", vcl::clSilver);
  skin->AddGroup(L"Docking")->AddPropertyInteger(L"ActiveTabHeaderUpGrow", 2);
  skin->AddGroup(L"NavPane")->AddPropertyBool(L"OverlapGroupBorders", true);
  rtl::TOwnedPtr<TdxSkinInfo> info = NewBoundInfo(skin);

  using enum TdxMapControlElementState;
  struct {
    const char* What;
    TdxAlphaColor Actual;
    TdxAlphaColor Expected;
  } const alphaCases[] = {
      {"colour with its alpha", info->MapControlPanelTextColor, dxColorToAlphaColor(vcl::clRed, 128)},
      {"colour without alpha is opaque", info->MapControlPanelBackColor, dxColorToAlphaColor(vcl::clBlue, 255)},
      {"missing colour", info->MapControlPanelHotTrackedTextColor, dxColorToAlphaColor(vcl::clDefault, 255)},
      {"normal shape reads BackColor", info->MapControlShapeColor[static_cast<int>(mcesNormal)],
       dxColorToAlphaColor(vcl::clGreen, 255)},
      {"hot shape shares the plain names", info->MapControlShapeColor[static_cast<int>(mcesHot)],
       dxColorToAlphaColor(vcl::clGreen, 255)},
      {"pressed shape reads Highlighted", info->MapControlShapeColor[static_cast<int>(mcesPressed)],
       dxColorToAlphaColor(vcl::clRed, 255)},
  };
  for (const auto& c : alphaCases)
    EXPECT_EQ(c.Actual, c.Expected) << c.What;
  EXPECT_EQ(info->MapControlShapeBorderWidth[static_cast<int>(mcesSelected)], 3);
  EXPECT_EQ(info->MapControlShapeBorderWidth[static_cast<int>(mcesNormal)], 0);
  EXPECT_EQ(info->MapControlCalloutPointer.x, 4);
  EXPECT_EQ(info->MapControlCalloutPointer.y, 9);
  EXPECT_EQ(info->RibbonCaptionText[0], vcl::clGray);
  EXPECT_EQ(info->RibbonCaptionText[1], vcl::clYellow);
  EXPECT_EQ(info->RibbonDocumentNameTextColor[0], vcl::clGray);
  EXPECT_EQ(info->RibbonDocumentNameTextColor[1], vcl::clDefault);
  EXPECT_EQ(info->RibbonButtonText[1], vcl::clSilver);
  EXPECT_EQ(info->DockControlIndents, (std::array<int, 3>{0, 0, 2}));
  ASSERT_NE(info->NavPaneOffsetGroupBorders, nullptr);
  EXPECT_TRUE(info->NavPaneOffsetGroupBorders->GetState().Contains(sosUnused))
      << "the navigation pane's overlap is read without marking it used";
  EXPECT_NE(skin->GetGroupByName(L"MapControl")->GetElementByName(L"SelectedRegion"), nullptr)
      << "the selected region is resolved even though no field keeps it";
}

// A property of the looked-up name but of another class would otherwise
// stop the binding half way.
TEST(SkinInfo, AMistypedPropertyReadsAsMissing)
{
  TdxSkin* skin = NewRawSkin();
  skin->AddGroup(L"Form")->AddElement(L"FormCaption")->AddPropertyColor(L"FontDelta", vcl::clRed);
  skin->AddGroup(L"Editors")->AddPropertyInteger(L"TextColor", 5);
  skin->AddColor(L"ContentTextColor", vcl::clNavy);
  rtl::TOwnedPtr<TdxSkinInfo> info;
  ASSERT_NO_THROW(info = NewBoundInfo(skin));
  EXPECT_EQ(info->FormCaptionFontDelta, 1);
  EXPECT_EQ(info->EditorTextColors[0], nullptr);
  ASSERT_NE(info->ContentTextColor, nullptr) << "resolution went on to the end";
}

TEST(SkinElementHelper, CaptionButtonSizeFollowsTheElementsProportions)
{
  rtl::TOwnedPtr<TdxSkin> skin = NewSkin();
  TdxSkinElement* wide = skin->AddGroup(L"Form")->AddElement(L"Wide");
  wide->GetMinSize()->SetSize({30, 20});
  TdxSkinElement* fixed = skin->GetGroupByName(L"Form")->AddElement(L"Fixed");
  fixed->GetMinSize()->SetSize({30, 20});
  fixed->GetImage()->SetStretch(TdxSkinStretchMode::smNoResize);
  LoadFrames(fixed->GetImage(), {7, 7}, {Red});

  EXPECT_EQ(TdxSkinElementHelper::CalculateCaptionButtonSize(20, nullptr), (TSize{20, 20}));
  EXPECT_EQ(TdxSkinElementHelper::CalculateCaptionButtonSize(20, wide), (TSize{30, 20}));
  EXPECT_EQ(TdxSkinElementHelper::CalculateCaptionButtonSize(20, fixed), (TSize{29, 19}))
      << "a fixed image centres on whole pixels";
}

TEST(SkinInfo, NameTablesNameEachFieldOnce)
{
  // Two fields may share an element (the close button is body and glyph),
  // but each field is resolved from one entry.
  rtl::TOwnedPtr<TdxSkinInfo> info(rtl::New<TdxSkinInfo>(static_cast<TdxSkin*>(nullptr)));
  std::set<TdxSkinElement**> elementFields;
  for (const TdxSkinInfoElementName& entry : dxSkinInfoElementNames())
    EXPECT_TRUE(elementFields.insert(&entry.Field(*info)).second) << rtl::String(entry.Name);
  std::set<TdxSkinColor**> colorFields;
  for (const TdxSkinInfoColorName& entry : dxSkinInfoColorNames())
    EXPECT_TRUE(colorFields.insert(&entry.Field(*info)).second) << rtl::String(entry.Name);
}
