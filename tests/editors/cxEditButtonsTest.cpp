// Edit buttons: the writers and their notifications, Default that is
// exclusive without telling the others, the visible caption, actions (the
// values they give, loading, freeing), width scaling and negative widths.
#include <gtest/gtest.h>

#include "editors/cxEdit.h"
#include "platform/vcl/ActnList.h"

namespace {

using enum TcxEditButtonKind;

struct TcxEditButtonsTestCounter {
  int Count = 0;
  void Changed(rtl::TObject*) { ++Count; }
};

class TcxEditButtonsTest : public testing::Test {
 protected:
  void SetUp() override
  {
    Buttons.reset(rtl::New<TcxEditButtons>(nullptr, TcxCustomEditButtonClass::Of<TcxEditButton>()));
    Buttons->SetOnChange(rtl::TNotifyEvent::Bind<&TcxEditButtonsTestCounter::Changed>(&Counter));
  }
  TcxCustomEditButton* AddButton()
  {
    TcxCustomEditButton* button = Buttons->Add();
    Counter.Count = 0;
    return button;
  }

  rtl::TOwnedPtr<TcxEditButtons> Buttons;
  TcxEditButtonsTestCounter Counter;
};

TEST_F(TcxEditButtonsTest, DefaultsOfANewButton)
{
  TcxCustomEditButton* button = AddButton();
  EXPECT_EQ(button->GetKind(), bkDown);
  EXPECT_EQ(button->GetContentAlignment(), rtl::TAlignment::taCenter);
  EXPECT_TRUE(button->GetEnabled());
  EXPECT_TRUE(button->GetVisible());
  EXPECT_TRUE(button->GetStretchable());
  EXPECT_EQ(button->GetImageIndex(), -1);
  EXPECT_EQ(button->GetTextColor(), vcl::clBtnText);
  EXPECT_EQ(button->GetWidth(), 0);
  EXPECT_TRUE(button->GetGlyph()->GetEmpty());
}

TEST_F(TcxEditButtonsTest, CaptionShowsWithoutAccelerators)
{
  const struct {
    const wchar_t* Caption;
    const wchar_t* Visible;
  } cases[] = {{L"&Open", L"Open"}, {L"Save && Close", L"Save & Close"}, {L"", L""}, {L"a&&&b", L"a&b"}};
  TcxCustomEditButton* button = AddButton();
  for (const auto& c : cases) {
    button->SetCaption(c.Caption);
    EXPECT_EQ(button->GetVisibleCaption(), c.Visible) << testing::PrintToString(std::wstring(c.Caption));
  }
}

TEST_F(TcxEditButtonsTest, DefaultIsExclusiveWithoutNotifyingTheOthers)
{
  TcxCustomEditButton* first = AddButton();
  TcxCustomEditButton* second = AddButton();
  first->SetDefault(true);
  Counter.Count = 0;

  second->SetDefault(true);

  EXPECT_FALSE(first->GetDefault());
  EXPECT_TRUE(second->GetDefault());
  // One notification, of all items, for the button that changed.
  EXPECT_EQ(Counter.Count, 1);
}

TEST_F(TcxEditButtonsTest, WritersNotifyOnlyOnChange)
{
  TcxCustomEditButton* button = AddButton();
  const struct {
    const char* Name;
    void (*Write)(TcxCustomEditButton*);
    int Expected;
  } cases[] = {
      {"same kind", [](TcxCustomEditButton* B) { B->SetKind(bkDown); }, 0},
      {"other kind", [](TcxCustomEditButton* B) { B->SetKind(bkText); }, 1},
      {"enabled", [](TcxCustomEditButton* B) { B->SetEnabled(false); }, 1},
      {"width", [](TcxCustomEditButton* B) { B->SetWidth(20); }, 1},
      {"same width", [](TcxCustomEditButton* B) { B->SetWidth(20); }, 0},
      {"hint is stored silently", [](TcxCustomEditButton* B) { B->SetHint(L"h"); }, 0},
  };
  for (const auto& c : cases) {
    Counter.Count = 0;
    c.Write(button);
    EXPECT_EQ(Counter.Count, c.Expected) << c.Name;
  }
}

// A negative width would lock the property: it is taken as automatic and
// later widths are accepted.
TEST_F(TcxEditButtonsTest, NegativeWidthIsAutomaticAndDoesNotLock)
{
  TcxCustomEditButton* button = AddButton();
  button->SetWidth(15);
  button->SetWidth(-4);
  EXPECT_EQ(button->GetWidth(), 0);
  button->SetWidth(25);
  EXPECT_EQ(button->GetWidth(), 25);
}

TEST_F(TcxEditButtonsTest, ScaleButtonWidthsInOneUpdate)
{
  AddButton()->SetWidth(10);
  AddButton()->SetWidth(0);
  AddButton()->SetWidth(7);
  Counter.Count = 0;

  Buttons->ScaleButtonWidths(2, 1);

  EXPECT_EQ(Buttons->GetItems(0)->GetWidth(), 20);
  EXPECT_EQ(Buttons->GetItems(1)->GetWidth(), 0);
  EXPECT_EQ(Buttons->GetItems(2)->GetWidth(), 14);
  EXPECT_EQ(Counter.Count, 1);
}

TEST_F(TcxEditButtonsTest, AssignCopiesTheButton)
{
  TcxCustomEditButton* source = AddButton();
  source->SetCaption(L"&Go");
  source->SetKind(bkText);
  source->SetWidth(33);
  source->SetLeftAlignment(true);
  source->SetHint(L"tip");
  source->SetTag(5);
  TcxCustomEditButton* target = AddButton();

  target->Assign(source);

  EXPECT_EQ(target->GetCaption(), L"&Go");
  EXPECT_EQ(target->GetVisibleCaption(), L"Go");
  EXPECT_EQ(target->GetKind(), bkText);
  EXPECT_EQ(target->GetWidth(), 33);
  EXPECT_TRUE(target->GetLeftAlignment());
  EXPECT_EQ(target->GetHint(), L"tip");
  EXPECT_EQ(target->GetTag(), 5);
}

TEST_F(TcxEditButtonsTest, VisibleCountCountsVisibleButtons)
{
  AddButton();
  AddButton()->SetVisible(false);
  AddButton();
  EXPECT_EQ(Buttons->GetVisibleCount(), 2);
}

// An action that can be put into the loading state a form stream gives it.
class TcxEditButtonsTestAction : public vcl::TAction {
  RTL_CLASS(TcxEditButtonsTestAction, vcl::TAction)

 public:
  void StartLoading() { Loading(); }
};

class TcxEditButtonsActionTest : public TcxEditButtonsTest {
 protected:
  void SetUp() override
  {
    TcxEditButtonsTest::SetUp();
    Action.reset(rtl::New<TcxEditButtonsTestAction>(nullptr));
    Action->SetCaption(L"Action");
    Action->SetHint(L"Action hint");
    Action->SetImageIndex(3);
  }
  rtl::TOwnedPtr<TcxEditButtonsTestAction> Action;
};

TEST_F(TcxEditButtonsActionTest, ActionGivesItsValuesAndFollowsChanges)
{
  TcxCustomEditButton* button = AddButton();
  button->SetCaption(L"Own");
  button->SetAction(Action.get());
  EXPECT_EQ(button->GetCaption(), L"Action");
  EXPECT_EQ(button->GetHint(), L"Action hint");
  EXPECT_EQ(button->GetImageIndex(), 3);

  Action->SetCaption(L"Renamed");
  Action->SetEnabled(false);
  EXPECT_EQ(button->GetCaption(), L"Renamed");
  EXPECT_FALSE(button->GetEnabled());
}

TEST_F(TcxEditButtonsActionTest, ALoadingActionKeepsTheButtonsOwnCaption)
{
  TcxCustomEditButton* button = AddButton();
  button->SetCaption(L"Own");
  Action->StartLoading();
  button->SetAction(Action.get());
  EXPECT_EQ(button->GetCaption(), L"Own");
  // What the button had not set comes from the action.
  EXPECT_EQ(button->GetHint(), L"Action hint");
}

TEST_F(TcxEditButtonsActionTest, FreeingTheActionUnlinksTheButton)
{
  TcxCustomEditButton* button = AddButton();
  button->SetAction(Action.get());
  Action.reset();
  EXPECT_EQ(button->GetAction(), nullptr);
  EXPECT_EQ(button->GetActionLink(), nullptr);
}

TEST_F(TcxEditButtonsActionTest, ShortcutJoinsTheHint)
{
  TcxCustomEditButton* button = AddButton();
  button->SetAction(Action.get());
  Action->SetShortCut(VK_F4);
  rtl::String hint = L"Open";
  EXPECT_TRUE(button->GetActionLink()->PrepareHint(hint));
  EXPECT_EQ(hint, L"Open (F4)");
  rtl::String empty;
  button->GetActionLink()->PrepareHint(empty);
  EXPECT_EQ(empty, L"");
}

}  // namespace
