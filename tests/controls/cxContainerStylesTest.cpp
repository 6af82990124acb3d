#include <gtest/gtest.h>

#include <functional>

#include "controls/cxContainer.h"

namespace {

using State = TcxContainerStateItem;
using Border = TcxContainerBorderStyle;

template <class T>
using Owned = rtl::TOwnedPtr<T>;

// Counts the change announcements of one style.
class TStylesTestListener : public rtl::TObject {
  RTL_CLASS(TStylesTestListener, rtl::TObject)

 public:
  void StyleChanged(rtl::TObject*) { ++Changes; }
  int Changes = 0;
};

// Four styles without a container, and a controller they may follow.
class ContainerStylesTest : public ::testing::Test {
 public:
  void SetUp() override
  {
    Styles.reset(rtl::New<TcxContainerStyles>(nullptr, TcxContainerStyleClass::Of<TcxContainerStyle>()));
    Controller.reset(rtl::New<TcxStyleController>(nullptr));
    Listener.reset(rtl::New<TStylesTestListener>());
  }

  TcxContainerStyle* Style(State AState) { return Styles->GetStyle(AState); }
  TcxContainerStyle* ControllerStyle(State AState) { return Controller->GetInternalStyle(AState); }
  void Listen(TcxContainerStyle* AStyle)
  {
    AStyle->SetOnChanged(rtl::TNotifyEvent::Bind<&TStylesTestListener::StyleChanged>(Listener.get()));
  }

  Owned<TcxContainerStyles> Styles;
  Owned<TcxStyleController> Controller;
  Owned<TStylesTestListener> Listener;
};

struct TResolutionCase {
  const char* Name;
  std::function<void(ContainerStylesTest&)> Setup;
  State StateOf;
  std::function<int(TcxContainerStyle*)> Read;
  int Expected;
};

int ReadBorderStyle(TcxContainerStyle* AStyle)
{
  return AStyle->GetBorderStyle();
}
int ReadBorderColor(TcxContainerStyle* AStyle)
{
  return static_cast<int>(AStyle->GetBorderColor());
}
int ReadColor(TcxContainerStyle* AStyle)
{
  return static_cast<int>(AStyle->GetColor());
}
int ReadTextColor(TcxContainerStyle* AStyle)
{
  return static_cast<int>(AStyle->GetTextColor());
}

void NoSetup(ContainerStylesTest&) {}

class ContainerStylesResolution : public ContainerStylesTest,
                                  public ::testing::WithParamInterface<TResolutionCase> {};

TEST_P(ContainerStylesResolution, OwnValueThenControllerThenDefault)
{
  GetParam().Setup(*this);
  EXPECT_EQ(GetParam().Read(Style(GetParam().StateOf)), GetParam().Expected);
}

const TResolutionCase ResolutionCases[] = {
    // Defaults.
    {"NormalBorderFollowsUltraFlatKind", NoSetup, State::csNormal, ReadBorderStyle, Border::cbsUltraFlat},
    {"NormalBorderFollowsStandardKind",
     [](ContainerStylesTest& T) { T.Style(State::csNormal)->GetLookAndFeel()->SetKind(TcxLookAndFeelKind::lfStandard); },
     State::csNormal, ReadBorderStyle, Border::cbs3D},
    {"FocusedSingleBecomesThickWithHotTrack",
     [](ContainerStylesTest& T) { T.Style(State::csNormal)->SetBorderStyle(Border::cbsSingle); }, State::csActive,
     ReadBorderStyle, Border::cbsThick},
    {"FocusedSingleStaysWithoutHotTrack",
     [](ContainerStylesTest& T) {
       T.Style(State::csNormal)->SetBorderStyle(Border::cbsSingle);
       T.Style(State::csNormal)->SetHotTrack(false);
     },
     State::csActive, ReadBorderStyle, Border::cbsSingle},
    {"HotNoneBecomesFlat", [](ContainerStylesTest& T) { T.Style(State::csNormal)->SetBorderStyle(Border::cbsNone); },
     State::csHotTrack, ReadBorderStyle, Border::cbsFlat},
    {"DisabledCopiesNormalBorder",
     [](ContainerStylesTest& T) { T.Style(State::csNormal)->SetBorderStyle(Border::cbsSingle); }, State::csDisabled,
     ReadBorderStyle, Border::cbsSingle},
    {"NormalBorderColorDefault", NoSetup, State::csNormal, ReadBorderColor, static_cast<int>(vcl::clWindowFrame)},
    {"DisabledBorderColorDefault", NoSetup, State::csDisabled, ReadBorderColor, static_cast<int>(vcl::clBtnShadow)},
    {"FocusedBorderColorIsNormalsResolved",
     [](ContainerStylesTest& T) { T.Style(State::csNormal)->SetBorderColor(vcl::clRed); }, State::csActive,
     ReadBorderColor, static_cast<int>(vcl::clRed)},
    // Without a container the face colour is the default.
    {"NormalColorWithoutContainer", NoSetup, State::csNormal, ReadColor, static_cast<int>(vcl::clBtnFace)},
    {"DisabledTextColorDefault", NoSetup, State::csDisabled, ReadTextColor, static_cast<int>(vcl::clBtnShadow)},
    {"NormalTextColorIsFontColor",
     [](ContainerStylesTest& T) { T.Style(State::csNormal)->GetFont()->SetColor(vcl::clNavy); }, State::csNormal,
     ReadTextColor, static_cast<int>(vcl::clNavy)},
    {"HotTextColorIsNormalsResolved",
     [](ContainerStylesTest& T) { T.Style(State::csNormal)->SetTextColor(vcl::clGreen); }, State::csHotTrack,
     ReadTextColor, static_cast<int>(vcl::clGreen)},
    // The controller's style of the same state.
    {"ControllerNormalColor",
     [](ContainerStylesTest& T) {
       T.ControllerStyle(State::csNormal)->SetColor(vcl::clYellow);
       T.Style(State::csNormal)->SetStyleController(T.Controller.get());
     },
     State::csNormal, ReadColor, static_cast<int>(vcl::clYellow)},
    {"ControllerFocusedBorderColor",
     [](ContainerStylesTest& T) {
       T.ControllerStyle(State::csActive)->SetBorderColor(vcl::clLime);
       T.Style(State::csNormal)->SetStyleController(T.Controller.get());
     },
     State::csActive, ReadBorderColor, static_cast<int>(vcl::clLime)},
    {"ControllerOtherStateNotUsed",
     [](ContainerStylesTest& T) {
       T.ControllerStyle(State::csActive)->SetBorderColor(vcl::clLime);
       T.Style(State::csNormal)->SetStyleController(T.Controller.get());
     },
     State::csDisabled, ReadBorderColor, static_cast<int>(vcl::clBtnShadow)},
    {"OwnValueBeatsController",
     [](ContainerStylesTest& T) {
       T.ControllerStyle(State::csNormal)->SetColor(vcl::clYellow);
       T.Style(State::csNormal)->SetStyleController(T.Controller.get());
       T.Style(State::csNormal)->SetColor(vcl::clAqua);
     },
     State::csNormal, ReadColor, static_cast<int>(vcl::clAqua)},
    {"ControllerBorderStyleFeedsStateTable",
     [](ContainerStylesTest& T) {
       T.ControllerStyle(State::csNormal)->SetBorderStyle(Border::cbsFlat);
       T.Style(State::csNormal)->SetStyleController(T.Controller.get());
     },
     State::csActive, ReadBorderStyle, Border::cbs3D},
};

INSTANTIATE_TEST_SUITE_P(Cases, ContainerStylesResolution, ::testing::ValuesIn(ResolutionCases),
                         [](const auto& AInfo) { return std::string(AInfo.param.Name); });

TEST_F(ContainerStylesTest, ControllerChainIsFollowedAndCyclesAreRefused)
{
  Owned<TcxStyleController> ASecond(rtl::New<TcxStyleController>(nullptr));
  ASecond->GetStyle()->SetShadow(true);
  Controller->GetStyle()->SetStyleController(ASecond.get());
  Style(State::csNormal)->SetStyleController(Controller.get());
  EXPECT_TRUE(Style(State::csNormal)->GetShadow());
  EXPECT_TRUE(Style(State::csNormal)->IsValueAssigned(csvShadow));
  EXPECT_FALSE(Style(State::csNormal)->IsValueAssigned(csvColor));

  // The second controller following the first would close a loop.
  ASecond->GetStyle()->SetStyleController(Controller.get());
  EXPECT_EQ(ASecond->GetStyle()->GetStyleController(), nullptr);
  // A controller's style cannot follow the controller itself.
  Controller->GetStyle()->SetStyleController(Controller.get());
  EXPECT_EQ(Controller->GetStyle()->GetStyleController(), ASecond.get());
}

TEST_F(ContainerStylesTest, StateStylesShareTheNormalStylesValues)
{
  TcxContainerStyle* AFocused = Style(State::csActive);
  AFocused->SetEdges({TcxBorder::bLeft});
  EXPECT_EQ(Style(State::csNormal)->GetEdges(), TcxBorders({TcxBorder::bLeft}));
  EXPECT_TRUE(Style(State::csNormal)->GetAssignedValues().Contains(csvEdges));
  EXPECT_FALSE(AFocused->GetAssignedValues().Contains(csvEdges));
  EXPECT_FALSE(AFocused->IsValueAssigned(csvEdges));
  EXPECT_EQ(AFocused->GetFont(), Style(State::csNormal)->GetFont());
  EXPECT_EQ(AFocused->GetLookAndFeel(), Style(State::csNormal)->GetLookAndFeel());

  // Per-state values stay with their state.
  AFocused->SetBorderColor(vcl::clRed);
  EXPECT_TRUE(AFocused->IsValueAssigned(csvBorderColor));
  EXPECT_FALSE(Style(State::csNormal)->IsValueAssigned(csvBorderColor));
  EXPECT_FALSE(AFocused->IsValueAssigned(10));
}

TEST_F(ContainerStylesTest, ChangesAreAnnouncedOnlyWhenSomethingChanged)
{
  TcxContainerStyle* ANormal = Style(State::csNormal);
  Listen(ANormal);
  ANormal->SetColor(ANormal->GetColor());
  EXPECT_EQ(Listener->Changes, 1) << "an unassigned value becomes assigned";
  ANormal->SetColor(ANormal->GetColor());
  EXPECT_EQ(Listener->Changes, 1) << "the same value again";
  ANormal->BeginUpdate();
  ANormal->SetColor(vcl::clRed);
  ANormal->SetBorderStyle(Border::cbsSingle);
  ANormal->GetFont()->SetSize(12);
  EXPECT_EQ(Listener->Changes, 1);
  ANormal->EndUpdate();
  EXPECT_EQ(Listener->Changes, 2) << "one announcement for the bracket";
  EXPECT_TRUE(ANormal->GetAssignedValues().Contains(csvFont)) << "changing the font marks it";
}

TEST_F(ContainerStylesTest, FontComesFromTheControllerUntilAssigned)
{
  Controller->GetStyle()->GetFont()->SetName(L"Courier New");
  TcxContainerStyle* ANormal = Style(State::csNormal);
  ANormal->SetStyleController(Controller.get());
  EXPECT_EQ(ANormal->GetFont()->GetName(), L"Courier New");
  EXPECT_FALSE(ANormal->GetAssignedValues().Contains(csvFont));

  Controller->GetStyle()->GetFont()->SetName(L"Arial");
  EXPECT_EQ(ANormal->GetFont()->GetName(), L"Arial") << "a controller change reaches its listeners";

  ANormal->GetFont()->SetName(L"Tahoma");
  Controller->GetStyle()->GetFont()->SetName(L"Courier New");
  EXPECT_EQ(ANormal->GetFont()->GetName(), L"Tahoma");

  // Forgetting the assignment takes the controller's font again.
  ANormal->SetAssignedValues({});
  EXPECT_EQ(ANormal->GetFont()->GetName(), L"Courier New");
}

TEST_F(ContainerStylesTest, FreedControllerLeavesItsListenersOnTheirDefaults)
{
  TcxContainerStyle* ANormal = Style(State::csNormal);
  Controller->GetStyle()->SetColor(vcl::clYellow);
  Controller->GetStyle()->GetLookAndFeel()->SetKind(TcxLookAndFeelKind::lfFlat);
  ANormal->SetStyleController(Controller.get());
  EXPECT_EQ(Controller->GetListenerCount(), 1);
  EXPECT_EQ(ANormal->GetLookAndFeel()->GetMasterLookAndFeel(), Controller->GetStyle()->GetLookAndFeel());
  EXPECT_EQ(ANormal->GetBorderStyle(), Border::cbsFlat) << "the look and feel follows the controller's";

  Controller.reset();
  EXPECT_EQ(ANormal->GetStyleController(), nullptr);
  EXPECT_EQ(ANormal->GetColor(), vcl::clBtnFace);
  EXPECT_EQ(ANormal->GetBorderStyle(), Border::cbsUltraFlat);
}

TEST_F(ContainerStylesTest, StyleValueNamesIgnoreCase)
{
  TcxContainerStyle* ANormal = Style(State::csNormal);
  TcxContainerStyleValue AValue = -1;
  EXPECT_TRUE(ANormal->GetStyleValue(L"bordercolor", AValue));
  EXPECT_EQ(AValue, csvBorderColor);
  EXPECT_TRUE(ANormal->GetStyleValue(L"TRANSPARENTBORDER", AValue));
  EXPECT_EQ(AValue, csvTransparentBorder);
  EXPECT_FALSE(ANormal->GetStyleValue(L"Gradient", AValue));
  rtl::String AName = L"x";
  EXPECT_FALSE(ANormal->GetStyleValueName(10, AName));
  EXPECT_EQ(AName, L"");

  TcxContainerStyle* AHot = Style(State::csHotTrack);
  EXPECT_TRUE(AHot->IsExtendedStylePropertyPublished(L"BorderColor"));
  EXPECT_FALSE(AHot->IsExtendedStylePropertyPublished(L"Edges"));
  EXPECT_FALSE(AHot->IsExtendedStylePropertyPublished(L"LookAndFeel"));
  EXPECT_TRUE(AHot->IsExtendedStylePropertyPublished(L"Anything"));
}

TEST_F(ContainerStylesTest, AssignCopiesOwnValuesAndAssignment)
{
  TcxContainerStyle* ASource = ControllerStyle(State::csNormal);
  ASource->SetBorderStyle(Border::cbsThick);
  ASource->SetShadow(true);
  ASource->GetFont()->SetName(L"Arial");
  TcxContainerStyle* ANormal = Style(State::csNormal);
  Listen(ANormal);
  ANormal->Assign(ASource);
  EXPECT_EQ(Listener->Changes, 1);
  EXPECT_EQ(ANormal->GetBorderStyle(), Border::cbsThick);
  EXPECT_TRUE(ANormal->GetShadow());
  EXPECT_EQ(ANormal->GetFont()->GetName(), L"Arial");
  EXPECT_EQ(ANormal->GetAssignedValues(), ASource->GetAssignedValues());
}

TEST_F(ContainerStylesTest, DirectAccessStyleWrapsGivenValues)
{
  Owned<vcl::TFont> AFont(rtl::New<vcl::TFont>());
  AFont->SetStyle({vcl::TFontStyle::fsBold});
  Owned<TcxContainerStyle> AStyle(rtl::NewWith<TcxContainerStyle>(
      [](TcxContainerStyle* S) { S->Create(nullptr, true, nullptr, State::csNormal); }));
  AStyle->StyleData = {vcl::clRed, AFont.get(), vcl::clBlue};
  Listen(AStyle.get());
  EXPECT_EQ(AStyle->GetFont(), AFont.get());
  EXPECT_EQ(AStyle->GetColor(), vcl::clRed);
  EXPECT_EQ(AStyle->GetTextColor(), vcl::clBlue);
  EXPECT_EQ(AStyle->GetTextStyle(), vcl::TFontStyles({vcl::TFontStyle::fsBold}));
  EXPECT_EQ(AStyle->GetBorderColor(), vcl::clDefault);
  EXPECT_TRUE(AStyle->GetTransparentBorder());
  EXPECT_TRUE(AStyle->GetEdges().Empty());
  for (TcxContainerStyleValue AValue = 0; AValue < AStyle->GetStyleValueCount(); ++AValue)
    EXPECT_TRUE(AStyle->IsValueAssigned(AValue)) << AValue;
  AStyle->SetBorderStyle(Border::cbsSingle);
  EXPECT_EQ(AStyle->GetBorderStyle(), Border::cbsSingle);
  EXPECT_EQ(Listener->Changes, 0);
}

}  // namespace
