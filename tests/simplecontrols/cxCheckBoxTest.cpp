// The check box: its properties (the three values and what they refuse,
// display texts and what is stored, states of values, assigning) and the
// unit's registration.
#include <gtest/gtest.h>

#include "platform/rtl/ClassesComponents.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/TypInfo.h"
#include "simplecontrols/cxCheckBox.h"

using enum TcxCheckBoxState;

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
