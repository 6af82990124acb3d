// Editor styles: the six editor values resolved from the style, its
// controller's style of the same state or a default (a state style's
// default is the normal style's value); which style keeps which value; the
// editor style controller and the default one of the editors' start-up.
#include <gtest/gtest.h>

#include "editors/cxEdit.h"
#include "platform/vcl/Forms.h"

namespace {

using enum TcxContainerStateItem;
using enum TcxEditButtonStyle;

TcxCustomEditStyle* EditStyle(TcxContainerStyles* AStyles, TcxContainerStateItem AState)
{
  return static_cast<TcxCustomEditStyle*>(AStyles->GetStyle(AState));
}

struct TcxEditStylesTestCounter {
  int* Count;
  void Changed(rtl::TObject*) { ++*Count; }
};

class TcxEditStylesTestFixture : public testing::Test {
 protected:
  void SetUp() override
  {
    Styles.reset(rtl::New<TcxContainerStyles>(nullptr, TcxContainerStyleClass::Of<TcxEditStyle>()));
    Controller.reset(rtl::New<TcxEditStyleController>(nullptr));
  }
  TcxCustomEditStyle* Style(TcxContainerStateItem AState) { return EditStyle(Styles.get(), AState); }

  rtl::TOwnedPtr<TcxContainerStyles> Styles;
  rtl::TOwnedPtr<TcxEditStyleController> Controller;
};

TEST_F(TcxEditStylesTestFixture, ButtonStyleResolvesOwnThenControllerThenDefault)
{
  const struct {
    const char* Name;
    TcxContainerStateItem State;
    bool UseController;
    int OwnNormal, OwnState, ControllerNormal, ControllerState;  // -1: not assigned
    TcxEditButtonStyle Expected;
  } cases[] = {
      {"fresh normal style", csNormal, false, -1, -1, -1, -1, btsDefault},
      {"fresh focused style reads the normal one", csActive, false, 5, -1, -1, -1, btsUltraFlat},
      {"own value", csNormal, true, 1, -1, 2, -1, bts3D},
      {"the controller's normal style", csNormal, true, -1, -1, 2, -1, btsFlat},
      {"the controller's hot style for the hot state", csHotTrack, true, -1, -1, 2, 3, btsSimple},
      {"a state style's own value beats the controller", csHotTrack, true, -1, 4, 2, 3, btsHotFlat},
      {"without the controller's state value the normal style's", csActive, true, -1, -1, 2, -1, btsFlat},
  };
  for (const auto& c : cases) {
    SetUp();
    if (c.UseController)
      Style(csNormal)->SetStyleController(Controller.get());
    if (c.OwnNormal >= 0)
      Style(csNormal)->SetButtonStyle(static_cast<TcxEditButtonStyle>(c.OwnNormal));
    if (c.OwnState >= 0)
      Style(c.State)->SetButtonStyle(static_cast<TcxEditButtonStyle>(c.OwnState));
    if (c.ControllerNormal >= 0)
      Controller->GetStyle()->SetButtonStyle(static_cast<TcxEditButtonStyle>(c.ControllerNormal));
    if (c.ControllerState >= 0)
      static_cast<TcxCustomEditStyle*>(Controller->GetInternalStyle(c.State))
          ->SetButtonStyle(static_cast<TcxEditButtonStyle>(c.ControllerState));
    EXPECT_EQ(Style(c.State)->GetButtonStyle(), c.Expected) << c.Name;
  }
}

TEST_F(TcxEditStylesTestFixture, NormalOnlyValuesLiveInTheNormalStyle)
{
  EXPECT_EQ(Style(csActive)->GetGradientDirection(), TcxDirection::dirDown);
  EXPECT_FALSE(Style(csActive)->GetGradient());

  Style(csActive)->SetGradient(true);
  EXPECT_TRUE(Style(csNormal)->GetGradient());
  EXPECT_TRUE(Style(csActive)->GetGradient());
  EXPECT_TRUE(Style(csNormal)->GetAssignedValues().Contains(svGradient));
  EXPECT_FALSE(Style(csActive)->GetAssignedValues().Contains(svGradient));

  Style(csHotTrack)->SetButtonStyle(btsOffice11);
  EXPECT_TRUE(Style(csHotTrack)->GetAssignedValues().Contains(svButtonStyle));
  EXPECT_FALSE(Style(csNormal)->GetAssignedValues().Contains(svButtonStyle));
  EXPECT_EQ(Style(csNormal)->GetButtonStyle(), btsDefault);

  Style(csDisabled)->SetPopupBorderStyle(TcxEditPopupBorderStyle::epbsFlat);
  Style(csDisabled)->SetButtonTransparency(TcxEditButtonTransparency::ebtAlways);
  Style(csDisabled)->SetGradientButtons(true);
  Style(csDisabled)->SetGradientDirection(TcxDirection::dirLeft);
  EXPECT_EQ(Style(csNormal)->GetAssignedValues().ToOrd() >> 11, 0x1Fu) << "bits 11 to 15 on the normal style";
  EXPECT_EQ(Style(csDisabled)->GetAssignedValues().ToOrd(), 0u);

  EXPECT_FALSE(Style(csActive)->IsExtendedStylePropertyPublished(L"Gradient"));
  EXPECT_TRUE(Style(csActive)->IsExtendedStylePropertyPublished(L"ButtonStyle"));
}

TEST_F(TcxEditStylesTestFixture, ValueNamesAndCount)
{
  TcxCustomEditStyle* style = Style(csNormal);
  EXPECT_EQ(style->GetStyleValueCount(), 16);
  const wchar_t* names[] = {L"BorderColor", L"BorderStyle", L"Color", L"Edges", L"Font", L"HotTrack", L"Shadow",
                            L"TextColor", L"TextStyle", L"TransparentBorder", L"ButtonStyle", L"ButtonTransparency",
                            L"PopupBorderStyle", L"GradientButtons", L"Gradient", L"GradientDirection"};
  for (int i = 0; i < 16; ++i) {
    rtl::String name;
    EXPECT_TRUE(style->GetStyleValueName(i, name));
    EXPECT_EQ(name, names[i]);
  }
  rtl::String name = L"x";
  EXPECT_FALSE(style->GetStyleValueName(16, name));
  EXPECT_EQ(name, L"");
}

TEST_F(TcxEditStylesTestFixture, ChangesAreAnnouncedOnlyForNewValues)
{
  int changes = 0;
  TcxEditStylesTestCounter counter{&changes};
  Style(csNormal)->SetOnChanged(rtl::TNotifyEvent::Bind<&TcxEditStylesTestCounter::Changed>(&counter));
  Style(csNormal)->SetButtonStyle(btsFlat);
  Style(csNormal)->SetButtonStyle(btsFlat);
  Style(csNormal)->SetButtonStyle(bts3D);
  EXPECT_EQ(changes, 2);
}

TEST_F(TcxEditStylesTestFixture, AssignCopiesTheEditorValues)
{
  rtl::TOwnedPtr<TcxContainerStyles> source(
      rtl::New<TcxContainerStyles>(nullptr, TcxContainerStyleClass::Of<TcxEditStyle>()));
  EditStyle(source.get(), csNormal)->SetButtonStyle(btsSimple);
  EditStyle(source.get(), csNormal)->SetGradient(true);
  Style(csNormal)->Assign(EditStyle(source.get(), csNormal));
  EXPECT_EQ(Style(csNormal)->GetButtonStyle(), btsSimple);
  EXPECT_TRUE(Style(csNormal)->GetGradient());
  EXPECT_TRUE(Style(csNormal)->GetPopupCloseButton());
  EXPECT_TRUE(Style(csNormal)->GetAssignedValues().Contains(svGradient));
}

TEST(cxEditStartUpTest, RegistersTheWheelCursor)
{
  EXPECT_EQ(vcl::Screen()->GetCursors(cxEditMouseWheelCursor),
            LoadCursorW(GetModuleHandleW(nullptr), L"CXEDIT_MOUSEWHEEL"));
  EXPECT_NE(vcl::Screen()->GetCursors(cxEditMouseWheelCursor), nullptr);
}

TEST(cxEditStylesTest, TheDefaultControllerIsFollowedUntilAnotherIsSet)
{
  TcxEditStyleController* defaultController = cxDefaultEditStyleController();
  ASSERT_NE(defaultController, nullptr);
  EXPECT_EQ(cxGetDefaultStyleController(), defaultController);
  EXPECT_TRUE(rtl::Is<TcxEditStyle>(defaultController->GetStyle()));

  rtl::TOwnedPtr<TcxContainerStyles> styles(
      rtl::New<TcxContainerStyles>(nullptr, TcxContainerStyleClass::Of<TcxEditStyle>()));
  TcxCustomEditStyle* style = EditStyle(styles.get(), csNormal);
  EXPECT_EQ(style->GetActiveStyleController(), defaultController);
  EXPECT_EQ(style->GetStyleController(), nullptr);

  defaultController->GetStyle()->SetButtonStyle(btsUltraFlat);
  EXPECT_EQ(style->GetButtonStyle(), btsUltraFlat);
  defaultController->GetStyle()->RestoreDefaults();
  EXPECT_EQ(style->GetButtonStyle(), btsDefault);
}

}  // namespace
