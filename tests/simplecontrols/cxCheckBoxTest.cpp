// The check box: its properties (the three values and what they refuse,
// display texts and what is stored, states of values, assigning), the
// unit's registration and the mark in every kind of drawing. The disabled
// RenderSheet case draws the marks' states in several looks and a skin into
// CheckBoxMarks.png for people to look at:
//   simplecontrols_editor_tests --gtest_also_run_disabled_tests --gtest_filter=*RenderSheet*
// (to the working directory, or to the folder named by KV_RENDER_DIR).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/rtl/ClassesComponents.h"
#include "platform/rtl/ClassesFiler.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/TypInfo.h"
#include "graphics/dxGDIPlusClassesImages.h"
#include "simplecontrols/cxCheckBox.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/StdCtrls.h"
#include "skins/dxSkinVisualStudio2013Dark.h"
#include "tests/platform/vcl/GraphicsTestSupport.h"
#include "tests/support/TestSupport.h"

using enum TcxCheckBoxState;

// The skin the tests draw with is linked and starts with the program.
[[gnu::used]] constinit const rtl::UnitInfo* const CheckBoxTestSkinUnits[] = {&unit_dxSkinVisualStudio2013Dark};

namespace {

class TcxCheckBoxPropertiesTestFixture : public testing::Test {
 public:
  void PropertiesChanged(rtl::TObject* /*Sender*/) { ++ChangeCount; }

 protected:
  void SetUp() override
  {
    Properties.reset(rtl::New<TcxCheckBoxProperties>(nullptr));
    Properties->SetOnPropertiesChanged(
        rtl::TNotifyEvent::Bind<&TcxCheckBoxPropertiesTestFixture::PropertiesChanged>(this));
  }

  rtl::TOwnedPtr<TcxCheckBoxProperties> Properties;
  int ChangeCount = 0;
};

TEST_F(TcxCheckBoxPropertiesTestFixture, StatesOfValues)
{
  const struct {
    const char* Name;
    rtl::Variant Value;
    TcxCheckBoxState State;
    int DisplayValue;
    bool Valid;
  } cases[] = {
      {"checked", rtl::Variant(true), cbsChecked, 1, true},
      {"unchecked", rtl::Variant(false), cbsUnchecked, 0, true},
      {"grayed", rtl::Null(), cbsGrayed, 2, true},
      {"none of the three", rtl::Variant(7), cbsGrayed, 2, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(Properties->GetState(c.Value), c.State);
    rtl::Variant display;
    Properties->PrepareDisplayValue(c.Value, display, false);
    EXPECT_EQ(rtl::VarToStr(display), rtl::IntToStr(c.DisplayValue));
    rtl::Variant value = c.Value;
    EXPECT_EQ(Properties->IsEditValueValid(value, false), c.Valid);
  }
  EXPECT_EQ(Properties->GetDisplayText(rtl::Variant(true)), L"True");
  EXPECT_EQ(Properties->GetDisplayText(rtl::Variant(false)), L"False");
  EXPECT_EQ(Properties->GetDisplayText(rtl::Variant(7)), L"");
  EXPECT_TRUE(Properties->CompareDisplayValues(rtl::Variant(7), rtl::Null()));
  EXPECT_FALSE(Properties->CompareDisplayValues(rtl::Variant(true), rtl::Null()));
}

TEST_F(TcxCheckBoxPropertiesTestFixture, ValuesRefuseClashesAndNull)
{
  const struct {
    const char* Name;
    void (TcxCustomCheckBoxProperties::*Setter)(const rtl::Variant&);
    const rtl::Variant& (TcxCustomCheckBoxProperties::*Getter)() const;
    rtl::Variant Value;
    bool Accepted;
  } cases[] = {
      {"checked := the unchecked value", &TcxCustomCheckBoxProperties::SetValueChecked,
       &TcxCustomCheckBoxProperties::GetValueChecked, rtl::Variant(false), false},
      {"checked := Null", &TcxCustomCheckBoxProperties::SetValueChecked,
       &TcxCustomCheckBoxProperties::GetValueChecked, rtl::Null(), false},
      {"checked := 'Y'", &TcxCustomCheckBoxProperties::SetValueChecked,
       &TcxCustomCheckBoxProperties::GetValueChecked, rtl::Variant(rtl::String(L"Y")), true},
      {"unchecked := Null", &TcxCustomCheckBoxProperties::SetValueUnchecked,
       &TcxCustomCheckBoxProperties::GetValueUnchecked, rtl::Null(), false},
      {"unchecked := 0", &TcxCustomCheckBoxProperties::SetValueUnchecked,
       &TcxCustomCheckBoxProperties::GetValueUnchecked, rtl::Variant(0), true},
      {"grayed := the checked value", &TcxCustomCheckBoxProperties::SetValueGrayed,
       &TcxCustomCheckBoxProperties::GetValueGrayed, rtl::Variant(true), false},
      {"grayed := 2", &TcxCustomCheckBoxProperties::SetValueGrayed, &TcxCustomCheckBoxProperties::GetValueGrayed,
       rtl::Variant(2), true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    SetUp();
    ChangeCount = 0;
    const rtl::Variant before = (Properties.get()->*c.Getter)();
    (Properties.get()->*c.Setter)(c.Value);
    const rtl::Variant after = (Properties.get()->*c.Getter)();
    EXPECT_EQ(cxVarSameTypeAndValue(after, c.Value), c.Accepted);
    EXPECT_EQ(cxVarSameTypeAndValue(after, before), !c.Accepted);
    EXPECT_EQ(ChangeCount, c.Accepted ? 1 : 0);
  }
}

// An owner that can be put into the loading state.
class TcxCheckBoxTestOwner : public rtl::TComponent {
  RTL_CLASS(TcxCheckBoxTestOwner, rtl::TComponent)

 public:
  using rtl::TComponent::Loading;
};

// A form being read sets the values one by one: a value may clash with one
// that is about to be replaced.
TEST(cxCheckBoxProperties, LoadingAcceptsEveryValue)
{
  rtl::TOwnedPtr<TcxCheckBoxTestOwner> owner(rtl::New<TcxCheckBoxTestOwner>(nullptr));
  rtl::TOwnedPtr<TcxCheckBoxProperties> properties(rtl::New<TcxCheckBoxProperties>(owner.get()));
  owner->Loading();
  properties->SetValueChecked(rtl::Variant(false));
  properties->SetValueUnchecked(rtl::Null());
  EXPECT_TRUE(cxVarSameTypeAndValue(properties->GetValueChecked(), rtl::Variant(false)));
  EXPECT_TRUE(rtl::VarIsNull(properties->GetValueUnchecked()));
}

TEST_F(TcxCheckBoxPropertiesTestFixture, DisplayTextsStoredOnlyWhenTheyDifferFromTheDefault)
{
  EXPECT_EQ(Properties->GetDisplayChecked(), L"True");
  EXPECT_EQ(Properties->GetDisplayUnchecked(), L"False");
  EXPECT_EQ(Properties->GetDisplayGrayed(), L"");

  const rtl::TPropInfo* checked = rtl::GetPropInfo(Properties.get(), L"DisplayChecked");
  const rtl::TPropInfo* grayed = rtl::GetPropInfo(Properties.get(), L"DisplayGrayed");
  ASSERT_TRUE(checked && grayed);
  Properties->SetDisplayGrayed(L"");
  EXPECT_EQ(ChangeCount, 0);
  EXPECT_FALSE(rtl::IsStoredProp(Properties.get(), grayed));

  Properties->SetDisplayChecked(L"Yes");
  Properties->SetDisplayChecked(L"Yes");
  EXPECT_EQ(ChangeCount, 1);
  EXPECT_TRUE(rtl::IsStoredProp(Properties.get(), checked));
  EXPECT_EQ(Properties->GetDisplayText(rtl::Variant(true)), L"Yes");
  // Case matters.
  Properties->SetDisplayChecked(L"yes");
  EXPECT_EQ(ChangeCount, 2);
  // Back to the default: no longer stored.
  Properties->SetDisplayChecked(L"True");
  EXPECT_FALSE(rtl::IsStoredProp(Properties.get(), checked));
}

TEST_F(TcxCheckBoxPropertiesTestFixture, ValuesStoredUnlessTheDefaults)
{
  const rtl::TPropInfo* checked = rtl::GetPropInfo(Properties.get(), L"ValueChecked");
  const rtl::TPropInfo* grayed = rtl::GetPropInfo(Properties.get(), L"ValueGrayed");
  ASSERT_TRUE(checked && grayed);
  EXPECT_FALSE(rtl::IsStoredProp(Properties.get(), checked));
  EXPECT_FALSE(rtl::IsStoredProp(Properties.get(), grayed));
  Properties->SetValueChecked(rtl::Variant(rtl::String(L"Y")));
  Properties->SetValueGrayed(rtl::Variant(2));
  EXPECT_TRUE(rtl::IsStoredProp(Properties.get(), checked));
  EXPECT_TRUE(rtl::IsStoredProp(Properties.get(), grayed));
}

TEST_F(TcxCheckBoxPropertiesTestFixture, AssignTakesTheValuesOnlyAsAWorkableSet)
{
  rtl::TOwnedPtr<TcxCheckBoxProperties> source(rtl::New<TcxCheckBoxProperties>(nullptr));
  source->SetAllowGrayed(true);
  source->SetDisplayChecked(L"On");
  source->SetNullStyle(TcxCheckBoxNullValueShowingStyle::nssInactive);
  source->SetGlyphCountValue(4);
  // Swapped values: set one by one they would clash.
  source->SetValueGrayed(rtl::Variant(2));
  source->SetValueChecked(rtl::Variant(3));
  source->SetValueUnchecked(rtl::Variant(true));
  source->SetValueChecked(rtl::Variant(false));

  Properties->Assign(source.get());
  EXPECT_TRUE(Properties->GetAllowGrayed());
  EXPECT_EQ(Properties->GetDisplayChecked(), L"On");
  EXPECT_EQ(Properties->GetNullStyle(), TcxCheckBoxNullValueShowingStyle::nssInactive);
  EXPECT_EQ(Properties->GetGlyphCount(), 4);
  EXPECT_TRUE(cxVarSameTypeAndValue(Properties->GetValueChecked(), rtl::Variant(false)));
  EXPECT_TRUE(cxVarSameTypeAndValue(Properties->GetValueUnchecked(), rtl::Variant(true)));
  EXPECT_TRUE(cxVarSameTypeAndValue(Properties->GetValueGrayed(), rtl::Variant(2)));
}

TEST_F(TcxCheckBoxPropertiesTestFixture, GlyphPartsAndEditorAnswers)
{
  const wchar_t* names[] = {L"Unchecked",         L"Checked",         L"Grayed",  L"Unchecked Pressed",
                            L"Checked Pressed", L"Grayed Pressed", L"Not Used"};
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(Properties->GetPartName(i), names[i]);
  EXPECT_EQ(Properties->GetPartName(-1), L"Not Used");
  EXPECT_EQ(Properties->GetGlyphCount(), 6);

  EXPECT_TRUE(Properties->IsActivationKey(L' '));
  EXPECT_FALSE(Properties->IsActivationKey(L'x'));
  using enum TcxEditSupportedOperation;
  const TcxEditSupportedOperations expected{esoAlwaysHotTrack, esoEditing, esoFiltering, esoHotTrack,
                                            esoShowingCaption, esoSorting, esoTransparency, esoAutoWidth};
  EXPECT_TRUE(Properties->GetSupportedOperations() == expected);
  EXPECT_TRUE(Properties->GetSpecialFeatures().Contains(TcxEditSpecialFeature::esfClickable));
}

TEST(cxCheckBoxUnit, PropertiesRegisteredWithTheirDescription)
{
  TcxRegisteredClasses* registry = cxEditPropertiesRegistry();
  const int index = registry->GetIndexByClass(TcxCheckBoxProperties::StaticClass());
  ASSERT_GE(index, 0);
  EXPECT_EQ(registry->GetDescription(index), L"CheckBox");
}

}  // namespace

// ---------------------------------------------------------------------------
// The mark

namespace {

constexpr TRect kMarkRect{2, 2, 17, 17};

struct TcxCheckBoxTestCanvas {
  explicit TcxCheckBoxTestCanvas(HDC ADC)
      : Canvas(rtl::NewWith<vcl::TCanvas>([&](vcl::TCanvas* C) { C->Create(); C->SetHandle(ADC); })),
        Wrapper(rtl::New<TcxCanvas>(Canvas.get()))
  {
  }
  rtl::TOwnedPtr<vcl::TCanvas> Canvas;
  rtl::TOwnedPtr<TcxCanvas> Wrapper;
};

// Every pixel of the mark drawn with AParams.
std::vector<std::uint32_t> RenderMark(const TcxCheckBoxMarkParams& AParams)
{
  vcltest::TSurface surface(20, 20);
  {
    TcxCheckBoxTestCanvas canvas(surface.DC());
    cxDrawCheckBoxMark(canvas.Wrapper.get(), kMarkRect, AParams);
  }
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x)
      pixels.push_back(surface.Pixel(x, y));
  return pixels;
}

// The pixels inside the mark's frame.
std::vector<std::uint32_t> InnerPixels(const std::vector<std::uint32_t>& APixels)
{
  std::vector<std::uint32_t> result;
  for (int y = kMarkRect.top + 2; y < kMarkRect.bottom - 2; ++y)
    for (int x = kMarkRect.left + 2; x < kMarkRect.right - 2; ++x)
      result.push_back(APixels[static_cast<std::size_t>(y * 20 + x)]);
  return result;
}

int CountColor(const std::vector<std::uint32_t>& APixels, vcl::TColor AColor)
{
  return static_cast<int>(std::count(APixels.begin(), APixels.end(), vcltest::AsPixel(vcl::ColorToRGB(AColor))));
}

// A strip of six 12 x 12 parts, each filled with its own colour around a
// white corner.
constexpr vcl::TColor kPartColors[] = {0x0000C0, 0x00C000, 0xC00000, 0x00C0C0, 0xC0C000, 0xC000C0};

rtl::TOwnedPtr<TdxSmartGlyph> MakePartsGlyph(int ACount)
{
  rtl::TOwnedPtr<vcl::TBitmap> strip(rtl::New<vcl::TBitmap>());
  strip->SetPixelFormat(vcl::TPixelFormat::pf24bit);
  strip->SetSize(12 * ACount, 12);
  for (int i = 0; i < ACount; ++i) {
    strip->GetCanvas()->GetBrush()->SetColor(kPartColors[i]);
    strip->GetCanvas()->FillRect({12 * i, 0, 12 * i + 12, 12});
    SetPixel(strip->GetCanvas()->GetHandle(), 12 * i, 11, RGB(255, 255, 255));
  }
  rtl::TOwnedPtr<TdxSmartGlyph> glyph(rtl::New<TdxSmartGlyph>());
  glyph->Assign(strip.get());
  return glyph;
}

}  // namespace

TEST(cxCheckBoxMark, GlyphPartByStateAndPress)
{
  using enum TcxEditCheckState;
  const struct {
    TcxCheckBoxState State;
    TcxEditCheckState CheckState;
    int GlyphCount;
    int ExpectedPart;
  } cases[] = {
      {cbsUnchecked, ecsNormal, 6, 0}, {cbsChecked, ecsHot, 6, 1},     {cbsGrayed, ecsNormal, 6, 2},
      {cbsChecked, ecsPressed, 6, 4},  {cbsGrayed, ecsPressed, 6, 5},  {cbsGrayed, ecsPressed, 4, 2},
      {cbsUnchecked, ecsPressed, 4, 3}, {cbsChecked, ecsPressed, 1, 0}, {cbsGrayed, ecsNormal, 3, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(c.State) << "/" << static_cast<int>(c.CheckState) << " of "
                                    << c.GlyphCount);
    EXPECT_EQ(cxCheckBoxGlyphPartIndex(c.State, c.CheckState, c.GlyphCount), c.ExpectedPart);
    rtl::TOwnedPtr<TdxSmartGlyph> glyph = MakePartsGlyph(std::max(c.GlyphCount, 1));
    TcxCheckBoxMarkParams params;
    params.State = c.State;
    params.CheckState = c.CheckState;
    params.GlyphCount = c.GlyphCount;
    params.Glyph = glyph.get();
    vcltest::TSurface surface(20, 20);
    {
      TcxCheckBoxTestCanvas canvas(surface.DC());
      cxDrawCheckBoxMark(canvas.Wrapper.get(), kMarkRect, params);
    }
    EXPECT_EQ(surface.Pixel(9, 9), vcltest::AsPixel(kPartColors[c.ExpectedPart]));
  }
}

// A grayed value shown as unchecked looks exactly like an unchecked one,
// whichever way the mark is drawn.
TEST(cxCheckBoxMark, GrayedShownAsUncheckedInEveryKind)
{
  using enum TcxEditBorderStyle;
  rtl::TOwnedPtr<TdxSmartGlyph> glyph = MakePartsGlyph(6);
  TcxCustomLookAndFeelPainter* skin = cxLookAndFeelPaintersManager()->GetPainter(L"VisualStudio2013Dark");
  ASSERT_NE(skin, nullptr);
  const struct {
    const char* Name;
    TcxEditBorderStyle BorderStyle;
    bool UseGlyph;
    bool UseSkin;
  } kinds[] = {{"single", ebsSingle, false, false}, {"3D", ebs3D, false, false},
               {"ultra flat", ebsUltraFlat, false, false}, {"Office 11", ebsOffice11, false, false},
               {"glyph", ebsSingle, true, false},          {"skin", ebsSingle, false, true}};
  for (const auto& kind : kinds) {
    SCOPED_TRACE(kind.Name);
    TcxCheckBoxMarkParams params;
    params.BorderStyle = kind.BorderStyle;
    params.Glyph = kind.UseGlyph ? glyph.get() : nullptr;
    params.SkinPainter = kind.UseSkin ? skin : nullptr;
    params.Opaque = true;
    params.NullStyle = TcxCheckBoxNullValueShowingStyle::nssUnchecked;
    params.State = cbsUnchecked;
    const std::vector<std::uint32_t> unchecked = RenderMark(params);
    params.State = cbsGrayed;
    EXPECT_TRUE(RenderMark(params) == unchecked);
    params.State = cbsChecked;
    EXPECT_FALSE(RenderMark(params) == unchecked);
  }
}

TEST(cxCheckBoxMark, FlatStylesShowTheGrayedStateByNullStyle)
{
  using enum TcxCheckBoxNullValueShowingStyle;
  for (TcxEditBorderStyle style : {TcxEditBorderStyle::ebsUltraFlat, TcxEditBorderStyle::ebsOffice11}) {
    SCOPED_TRACE(static_cast<int>(style));
    TcxCheckBoxMarkParams params;
    params.BorderStyle = style;
    params.State = cbsGrayed;
    params.NullStyle = nssInactive;
    const std::vector<std::uint32_t> inactive = InnerPixels(RenderMark(params));
    // An empty box in the face colour.
    EXPECT_EQ(CountColor(inactive, vcl::clBtnFace), static_cast<int>(inactive.size()));
    params.NullStyle = nssGrayedChecked;
    const std::vector<std::uint32_t> grayedChecked = InnerPixels(RenderMark(params));
    const int shadow = CountColor(grayedChecked, vcl::clBtnShadow);
    EXPECT_GT(CountColor(grayedChecked, vcl::clWindow), 0);
    EXPECT_GT(shadow, 0);
    EXPECT_EQ(CountColor(grayedChecked, vcl::clBtnText), 0);
    // A checked box draws the same check in the text colour.
    params.State = cbsChecked;
    const std::vector<std::uint32_t> checked = InnerPixels(RenderMark(params));
    EXPECT_EQ(CountColor(checked, vcl::clBtnText), shadow);
  }
}

// Every way of drawing shows a check that stands out from its box and stays
// inside the mark's rectangle.
TEST(cxCheckBoxMark, CheckedMarkStandsOutInEveryKind)
{
  using enum TcxEditBorderStyle;
  TcxCustomLookAndFeelPainter* skin = cxLookAndFeelPaintersManager()->GetPainter(L"VisualStudio2013Dark");
  ASSERT_NE(skin, nullptr);
  const struct {
    const char* Name;
    TcxEditBorderStyle BorderStyle;
    bool Native;
    bool UseSkin;
  } kinds[] = {{"single", ebsSingle, false, false},     {"thick", ebsThick, false, false},
               {"flat", ebsFlat, false, false},         {"3D", ebs3D, false, false},
               {"ultra flat", ebsUltraFlat, false, false}, {"Office 11", ebsOffice11, false, false},
               {"native", ebsSingle, true, false},      {"skin", ebsSingle, false, true}};
  const auto luminance = [](std::uint32_t APixel) {
    return static_cast<int>((299 * (APixel >> 16 & 0xFF) + 587 * (APixel >> 8 & 0xFF) + 114 * (APixel & 0xFF)) / 1000);
  };
  for (const auto& kind : kinds) {
    SCOPED_TRACE(kind.Name);
    TcxCheckBoxMarkParams params;
    params.BorderStyle = kind.BorderStyle;
    params.NativeStyle = kind.Native;
    params.SkinPainter = kind.UseSkin ? skin : nullptr;
    params.State = cbsUnchecked;
    const std::vector<std::uint32_t> unchecked = RenderMark(params);
    params.State = cbsChecked;
    const std::vector<std::uint32_t> checked = RenderMark(params);
    int contrasting = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) {
        const auto i = static_cast<std::size_t>(y * 20 + x);
        if (!PtInRect(&kMarkRect, {x, y})) {
          EXPECT_EQ(checked[i], 0x00FFFFFFu) << "outside the mark at " << x << "," << y;
          continue;
        }
        if (std::abs(luminance(checked[i]) - luminance(unchecked[i])) > 64)
          ++contrasting;
      }
    EXPECT_GE(contrasting, 8) << "the check is visible";
  }
}

TEST(cxCheckBoxMark, DISABLED_RenderSheet)
{
  using enum TcxEditCheckState;
  using enum TcxEditBorderStyle;
  const TcxCheckBoxState states[] = {cbsUnchecked, cbsChecked, cbsGrayed};
  const TcxEditCheckState checkStates[] = {ecsNormal, ecsHot, ecsPressed, ecsDisabled};
  rtl::TOwnedPtr<TdxSmartGlyph> glyph = MakePartsGlyph(6);
  struct TKind {
    const wchar_t* Name;
    TcxEditBorderStyle BorderStyle;
    bool Native;
    const wchar_t* Skin;
    bool Glyph;
  };
  const TKind kinds[] = {{L"single", ebsSingle, false, nullptr, false}, {L"thick", ebsThick, false, nullptr, false},
                         {L"flat", ebsFlat, false, nullptr, false},     {L"3D", ebs3D, false, nullptr, false},
                         {L"ultraflat", ebsUltraFlat, false, nullptr, false},
                         {L"office11", ebsOffice11, false, nullptr, false}, {L"native", ebsSingle, true, nullptr, false},
                         {L"skin", ebsSingle, false, L"VisualStudio2013Dark", false},
                         {L"glyph", ebsSingle, false, nullptr, true}};
  constexpr int kCell = 24;
  const int width = kCell * 12;
  // Below the marks, whole boxes left to right and right to left, each
  // unchecked and focused, then checked.
  constexpr int kBoxesHeight = 2 * kCell;
  const int height = kCell * static_cast<int>(std::size(kinds)) + kBoxesHeight;
  rtl::TOwnedPtr<vcl::TBitmap> sheet(rtl::New<vcl::TBitmap>());
  sheet->SetPixelFormat(vcl::TPixelFormat::pf24bit);
  sheet->SetSize(width, height);
  {
    TcxCheckBoxTestCanvas canvas(sheet->GetCanvas()->GetHandle());
    canvas.Wrapper->FillRect({0, 0, width, height}, vcl::clWhite);
    for (std::size_t row = 0; row < std::size(kinds); ++row) {
      const TKind& kind = kinds[row];
      if (kind.Skin)
        canvas.Wrapper->FillRect({0, static_cast<int>(row) * kCell, width, static_cast<int>(row + 1) * kCell},
                                 RGB(45, 45, 48));
      int column = 0;
      for (TcxCheckBoxState state : states)
        for (TcxEditCheckState checkState : checkStates) {
          TcxCheckBoxMarkParams params;
          params.State = state;
          params.CheckState = checkState;
          params.BorderStyle = kind.BorderStyle;
          params.NativeStyle = kind.Native;
          params.SkinPainter = kind.Skin ? cxLookAndFeelPaintersManager()->GetPainter(kind.Skin) : nullptr;
          params.Glyph = kind.Glyph ? glyph.get() : nullptr;
          const TRect r{column * kCell + 4, static_cast<int>(row) * kCell + 4, column * kCell + 21,
                        static_cast<int>(row) * kCell + 21};
          cxDrawCheckBoxMark(canvas.Wrapper.get(), r, params);
          ++column;
        }
    }
    rtl::TOwnedPtr<vcl::TForm> form(rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(vcl::Application()); }));
    form->SetBounds(0, 0, 400, 200);
    form->Show();
    const int boxesTop = kCell * static_cast<int>(std::size(kinds));
    const vcl::TBiDiMode modes[] = {vcl::TBiDiMode::bdLeftToRight, vcl::TBiDiMode::bdRightToLeft};
    for (std::size_t row = 0; row < std::size(modes); ++row)
      for (int column = 0; column < 2; ++column) {
        auto* box = rtl::New<TcxCheckBox>(form.get());
        static_cast<vcl::TControl*>(box)->SetParent(form.get());
        box->SetAutoSize(false);
        box->SetBounds(0, 0, width / 2 - 8, kCell);
        box->SetBiDiMode(modes[row]);
        box->SetCaption(L"&Active");
        box->SetChecked(column == 1);
        if (column == 0)
          box->SetFocus();
        kvtest::PumpMessages();
        const TPoint origin{column * width / 2 + 4, boxesTop + static_cast<int>(row) * kCell};
        canvas.Wrapper->SetWindowOrg(TPoint{-origin.x, -origin.y});
        box->GetViewInfo()->Paint(canvas.Wrapper.get());
        canvas.Wrapper->SetWindowOrg(TPoint{0, 0});
        rtl::Free(box);
      }
    form->Hide();
  }
  const rtl::TOwnedPtr<TdxPNGImage> png(rtl::New<TdxPNGImage>());
  png->LoadFromBitmap(sheet.get());
  const char* folder = std::getenv("KV_RENDER_DIR");
  const std::wstring path =
      (folder ? std::wstring(folder, folder + std::strlen(folder)) + L"\\" : std::wstring()) + L"CheckBoxMarks.png";
  png->SaveToFile(path);
}

// ---------------------------------------------------------------------------
// The control

namespace {

// A shown form with a check box and an edit to move the focus to; counts
// the check box's clicks.
class TcxCheckBoxControlTestFixture : public testing::Test {
 public:
  void BoxClicked(rtl::TObject* /*Sender*/) { ++Clicks; }

 protected:
  void SetUp() override
  {
    Form.reset(rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(vcl::Application()); }));
    Form->SetBounds(0, 0, 300, 200);
    Box = rtl::New<TcxCheckBox>(Form.get());
    static_cast<vcl::TControl*>(Box)->SetParent(Form.get());
    Box->SetCaption(L"&Active");
    Box->SetOnClick(rtl::TNotifyEvent::Bind<&TcxCheckBoxControlTestFixture::BoxClicked>(this));
    Edit = rtl::New<vcl::TEdit>(Form.get());
    Edit->SetParent(Form.get());
    Edit->SetTop(60);
    Form->Show();
  }
  void TearDown() override { Form->Hide(); }

  void Key(UINT AMessage, WORD AKey) { SendMessageW(Box->GetHandle(), AMessage, AKey, 0); }

  rtl::TOwnedPtr<vcl::TForm> Form;
  TcxCheckBox* Box = nullptr;
  vcl::TEdit* Edit = nullptr;
  int Clicks = 0;
};

}  // namespace

TEST_F(TcxCheckBoxControlTestFixture, SpaceCyclesTheStates)
{
  const struct {
    bool AllowGrayed;
    TcxCheckBoxState From;
    TcxCheckBoxState To;
  } cases[] = {
      {true, cbsUnchecked, cbsGrayed}, {true, cbsGrayed, cbsChecked},       {true, cbsChecked, cbsUnchecked},
      {false, cbsUnchecked, cbsChecked}, {false, cbsChecked, cbsUnchecked}, {false, cbsGrayed, cbsChecked},
  };
  Box->SetFocus();
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.AllowGrayed << ": " << static_cast<int>(c.From));
    Box->GetCheckBoxProperties()->SetAllowGrayed(c.AllowGrayed);
    Box->SetState(c.From);
    Clicks = 0;
    Key(WM_KEYDOWN, VK_SPACE);
    EXPECT_TRUE(Box->GetIsCheckPressed());
    EXPECT_EQ(Box->GetState(), c.From);
    Key(WM_KEYUP, VK_SPACE);
    EXPECT_FALSE(Box->GetIsCheckPressed());
    EXPECT_EQ(Box->GetState(), c.To);
    EXPECT_EQ(Clicks, 1);
  }
}

// A press and release of the real mouse button over the box toggles it once;
// the release makes the click, not the framework's mouse handling.
TEST_F(TcxCheckBoxControlTestFixture, ARealClickTogglesOnce)
{
  const struct {
    TcxCheckBoxState From;
    TcxCheckBoxState To;
  } cases[] = {{cbsUnchecked, cbsChecked}, {cbsChecked, cbsUnchecked}};
  kvtest::PumpMessages();
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.From));
    Box->SetState(c.From);
    Clicks = 0;
    const TPoint screen = Box->ClientToScreen(TPoint{8, Box->GetHeight() / 2});
    SetCursorPos(screen.x, screen.y);
    kvtest::PumpMessages();
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(SendInput(2, input, sizeof(INPUT)), 2u);
    EXPECT_TRUE(kvtest::PumpUntil([&] { return Clicks > 0; }));
    kvtest::PumpMessages();
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(Box->GetState(), c.To);
  }
}

TEST_F(TcxCheckBoxControlTestFixture, LeavingWhileSpaceIsDownDoesNotToggle)
{
  Box->SetFocus();
  Key(WM_KEYDOWN, VK_SPACE);
  ASSERT_TRUE(Box->GetIsCheckPressed());
  Edit->SetFocus();
  EXPECT_FALSE(Box->GetIsCheckPressed());
  Key(WM_KEYUP, VK_SPACE);
  EXPECT_EQ(Box->GetState(), cbsUnchecked);
  EXPECT_EQ(Clicks, 0);
}

TEST_F(TcxCheckBoxControlTestFixture, AcceleratorFocusesAndToggles)
{
  Edit->SetFocus();
  EXPECT_EQ(Box->Perform(rtl::CM_DIALOGCHAR, L'a', 0), 1);
  EXPECT_TRUE(Box->Focused());
  EXPECT_TRUE(Box->GetChecked());
  EXPECT_EQ(Box->Perform(rtl::CM_DIALOGCHAR, L'x', 0), 0);
}

TEST_F(TcxCheckBoxControlTestFixture, ValuesOfStatesAndClear)
{
  Box->GetCheckBoxProperties()->SetValueChecked(rtl::Variant(rtl::String(L"Y")));
  EXPECT_EQ(Clicks, 0);
  // The value False is none of the three any more: it shows grayed, a
  // change of the state the box reports as a click.
  Box->GetCheckBoxProperties()->SetValueUnchecked(rtl::Variant(rtl::String(L"N")));
  EXPECT_EQ(Box->GetState(), cbsGrayed);
  EXPECT_EQ(Clicks, 1);
  Box->SetChecked(true);
  EXPECT_EQ(rtl::VarToStr(Box->GetEditValue()), L"Y");
  EXPECT_EQ(Clicks, 2);
  Box->Clear();
  EXPECT_EQ(rtl::VarToStr(Box->GetEditValue()), L"N");
  // A value that is none of the three shows grayed.
  Box->SetEditValue(rtl::Variant(5));
  EXPECT_EQ(Box->GetState(), cbsGrayed);
}

TEST_F(TcxCheckBoxControlTestFixture, FollowsItsActionWithoutClicking)
{
  rtl::TOwnedPtr<vcl::TAction> action(rtl::New<vcl::TAction>(nullptr));
  action->SetChecked(true);
  Box->SetAction(action.get());
  EXPECT_TRUE(Box->GetChecked());
  action->SetChecked(false);
  EXPECT_FALSE(Box->GetChecked());
  EXPECT_EQ(Clicks, 0);
  Box->SetAction(nullptr);
}

namespace {

// The rectangle a window's pending repaint covers; empty when none.
TRect CheckBoxTestUpdateBox(HWND AWnd)
{
  RECT box{};
  GetUpdateRect(AWnd, &box, FALSE);
  return box;
}

testing::AssertionResult CheckBoxTestSameRect(const TRect& A, const TRect& B)
{
  if (EqualRect(&A, &B) || (IsRectEmpty(&A) && IsRectEmpty(&B)))
    return testing::AssertionSuccess();
  return testing::AssertionFailure() << "(" << A.left << "," << A.top << "," << A.right << "," << A.bottom
                                     << ") is not (" << B.left << "," << B.top << "," << B.right << "," << B.bottom
                                     << ")";
}

TRect CheckBoxTestMarkInControl(TcxCheckBox* ABox)
{
  auto* viewInfo = rtl::As<TcxCustomCheckBoxViewInfo>(ABox->GetViewInfo());
  return viewInfo ? viewInfo->CheckBoxRectInControl() : TRect{};
}

}  // namespace

// Against the look before, a changed mark repaints only its rectangle; a
// changed colour or state of the whole editor repaints all of it.
TEST_F(TcxCheckBoxControlTestFixture, RepaintCoversWhatChanged)
{
  using enum TcxEditCheckState;
  kvtest::PumpMessages();
  auto* viewInfo = rtl::As<TcxCustomCheckBoxViewInfo>(Box->GetViewInfo());
  ASSERT_NE(viewInfo, nullptr);
  const TRect mark = CheckBoxTestMarkInControl(Box);
  const TRect whole{0, 0, Box->GetWidth(), Box->GetHeight()};
  const struct {
    const char* Name;
    void (*Change)(TcxCustomCheckBoxViewInfo* AOld);
    TRect Expected;
  } cases[] = {
      {"nothing", [](TcxCustomCheckBoxViewInfo*) {}, TRect{}},
      // An enabled box is never disabled, nor grayed here.
      {"mark state", [](TcxCustomCheckBoxViewInfo* AOld) { AOld->CheckBoxState = ecsDisabled; }, mark},
      {"check state", [](TcxCustomCheckBoxViewInfo* AOld) { AOld->State = cbsGrayed; }, mark},
      {"background", [](TcxCustomCheckBoxViewInfo* AOld) { AOld->SetBackgroundColor(vcl::clRed); }, whole},
      {"container state",
       [](TcxCustomCheckBoxViewInfo* AOld) { AOld->ContainerState = {TcxContainerStateItem::csDisabled}; }, whole},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    rtl::TOwnedPtr<TcxCustomCheckBoxViewInfo> old(rtl::New<TcxCustomCheckBoxViewInfo>());
    old->Assign(viewInfo);
    c.Change(old.get());
    ValidateRect(Box->GetHandle(), nullptr);
    viewInfo->Repaint(Box, TRect{}, old.get());
    EXPECT_TRUE(CheckBoxTestSameRect(CheckBoxTestUpdateBox(Box->GetHandle()), c.Expected));
  }
  // With nothing to compare with, everything repaints.
  ValidateRect(Box->GetHandle(), nullptr);
  viewInfo->Repaint(Box, TRect{}, nullptr);
  EXPECT_TRUE(CheckBoxTestSameRect(CheckBoxTestUpdateBox(Box->GetHandle()), whole));
}

// Pressing and releasing Space, and the value that follows, repaint the
// mark and nothing else.
TEST_F(TcxCheckBoxControlTestFixture, SpaceRepaintsOnlyTheMark)
{
  Box->SetFocus();
  kvtest::PumpMessages();
  const TRect mark = CheckBoxTestMarkInControl(Box);
  ASSERT_FALSE(IsRectEmpty(&mark));
  for (const UINT message : {WM_KEYDOWN, WM_KEYUP}) {
    SCOPED_TRACE(message);
    ValidateRect(Box->GetHandle(), nullptr);
    Key(message, VK_SPACE);
    EXPECT_TRUE(CheckBoxTestSameRect(CheckBoxTestUpdateBox(Box->GetHandle()), mark));
  }
  EXPECT_TRUE(Box->GetChecked());
}

// Right to left, the mark stands at the right with the caption and its
// focus rectangle to its left.
TEST_F(TcxCheckBoxControlTestFixture, MarkAndFocusMirrorRightToLeft)
{
  Box->SetAutoSize(false);
  Box->SetBounds(8, 8, 121, 21);
  Box->SetFocus();
  for (const vcl::TBiDiMode mode : {vcl::TBiDiMode::bdLeftToRight, vcl::TBiDiMode::bdRightToLeft}) {
    SCOPED_TRACE(static_cast<int>(mode));
    Box->SetBiDiMode(mode);
    kvtest::PumpMessages();
    auto* viewInfo = rtl::As<TcxCustomCheckBoxViewInfo>(Box->GetViewInfo());
    ASSERT_NE(viewInfo, nullptr);
    const TRect& client = viewInfo->ClientRect;
    const TRect& mark = viewInfo->CheckBoxRect;
    const TRect& focus = viewInfo->FocusRect;
    ASSERT_FALSE(IsRectEmpty(&focus));
    if (mode == vcl::TBiDiMode::bdLeftToRight) {
      EXPECT_EQ(mark.left, client.left + 2);
      EXPECT_GT(focus.left, mark.right);
      EXPECT_LT(focus.right, client.right / 2) << "hugs the caption";
    } else {
      EXPECT_EQ(mark.right, client.right - 2);
      EXPECT_LT(focus.right, mark.left);
      EXPECT_GT(focus.left, client.right / 2) << "hugs the caption";
    }
  }
}

// The state read from a form waits for the values it refers to.
TEST(cxCheckBoxControl, StreamedStateAppliesAfterTheValues)
{
  constexpr char kForm[] =
      "object BoxForm: TForm\n"
      "  Left = 0\n  Top = 0\n  Width = 200\n  Height = 100\n"
      "  object Box: TcxCheckBox\n"
      "    Left = 8\n    Top = 8\n"
      "    State = cbsChecked\n"
      "    Properties.ValueChecked = 'Y'\n"
      "    Properties.ValueUnchecked = 'N'\n"
      "    Caption = 'Active'\n"
      "  end\n"
      "end\n";
  rtl::TOwnedPtr<rtl::TMemoryStream> source(rtl::New<rtl::TMemoryStream>());
  source->WriteBuffer(kForm, static_cast<int>(sizeof(kForm) - 1));
  source->SetPosition(0);
  rtl::TOwnedPtr<rtl::TMemoryStream> binary(rtl::New<rtl::TMemoryStream>());
  rtl::ObjectTextToBinary(source.get(), binary.get());
  binary->SetPosition(0);
  rtl::TOwnedPtr<vcl::TForm> form(rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(vcl::Application()); }));
  rtl::ReadComponent(binary.get(), form.get());
  auto* box = rtl::As<TcxCheckBox>(form->FindComponent(L"Box"));
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->GetState(), cbsChecked);
  EXPECT_EQ(rtl::VarToStr(box->GetEditValue()), L"Y");
}
