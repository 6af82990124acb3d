// The tab control's controller on a page control in a form: the scroll
// arrows' auto-repeat driven tick by tick, keys, accelerators, the wheel,
// tabs that select on the mouse-up, and the go dialog opened from its
// header button.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/cxClasses.h"
#include "pagecontrol/cxPC.h"
#include "platform/vcl/Forms.h"
#include "tests/support/TestSupport.h"

namespace {

using S = vcl::TShiftStateItem;
using B = TcxPCNavigatorButton;

// Eight pages "&Page0" ... "&Page7" on a page control too narrow for them:
// one scrolling row with both arrows.
struct TPCControllerFixture : testing::Test {
  rtl::TOwnedPtr<vcl::TForm> Form{rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(vcl::Application()); })};
  TcxPageControl* Pages = nullptr;

  void SetUp() override
  {
    Form->SetBounds(0, 0, 420, 300);
    Pages = rtl::New<TcxPageControl>(Form.get());
    Pages->SetParent(Form.get());
    Pages->SetBounds(0, 0, 240, 200);
    for (int i = 0; i < 8; ++i) {
      TcxTabSheet* page = rtl::New<TcxTabSheet>(Form.get());
      page->SetCaption(L"&Page" + std::to_wstring(i));
      page->SetPageControl(Pages);
    }
    Form->Show();
  }
  void TearDown() override { Form->Hide(); }

  TcxCustomTabControlViewInfo* ViewInfo() const { return Pages->GetViewInfo(); }
  TcxCustomTabControlController* Controller() const { return Pages->GetController(); }
  int FirstVisible() const { return ViewInfo()->GetFirstTabVisibleIndex(); }
  TPoint HeaderButtonCentre(B AKind) const
  {
    for (int i = 0; i < ViewInfo()->NavigatorButtonCount(); ++i) {
      const TcxPCHeaderButton& button = ViewInfo()->GetNavigatorButtonInfo(i);
      if (button.Kind == AKind)
        return TPoint{(button.Bounds.left + button.Bounds.right) / 2, (button.Bounds.top + button.Bounds.bottom) / 2};
    }
    ADD_FAILURE() << "no header button " << static_cast<int>(AKind);
    return TPoint{-1, -1};
  }
  TPoint TabCentre(int AVisibleIndex) const
  {
    const TRect R = ViewInfo()->GetTabViewInfo(AVisibleIndex)->GetVisibleRect();
    return TPoint{(R.left + R.right) / 2, (R.top + R.bottom) / 2};
  }
  void Send(UINT AMessage, const TPoint& P, WPARAM AButtons = 0) const
  {
    SendMessageW(Pages->GetHandle(), AMessage, AButtons, MAKELPARAM(P.x, P.y));
  }
  bool Repeating() const
  {
    return Controller()->GetRepeatTimer() && Controller()->GetRepeatTimer()->GetEnabled();
  }
};

TEST_F(TPCControllerFixture, AHeldArrowScrollsAtOnceThenOnEveryTickUntilTheRowEnds)
{
  ASSERT_EQ(FirstVisible(), 0);
  const TPoint arrow = HeaderButtonCentre(B::nbBottomRight);
  Send(WM_LBUTTONDOWN, arrow, MK_LBUTTON);
  struct {
    const char* Step;
    int First;
    bool Repeating;
    unsigned Interval;
  } const steps[] = {
      {"press", 1, true, TcxCustomTabControlController::cxPCArrowFirstRepeatInterval},
      {"first tick", 2, true, TcxCustomTabControlController::cxPCArrowRepeatInterval},
      {"second tick", 3, true, TcxCustomTabControlController::cxPCArrowRepeatInterval},
  };
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    SCOPED_TRACE(steps[i].Step);
    if (i > 0)
      Controller()->RepeatTimerHandler(nullptr);
    EXPECT_EQ(FirstVisible(), steps[i].First);
    EXPECT_EQ(Repeating(), steps[i].Repeating);
    ASSERT_NE(Controller()->GetRepeatTimer(), nullptr);
    EXPECT_EQ(Controller()->GetRepeatTimer()->GetInterval(), steps[i].Interval);
  }
  // Ticks go on until the last tab is reached and the arrow is disabled.
  for (int i = 0; i < 10 && Repeating(); ++i)
    Controller()->RepeatTimerHandler(nullptr);
  EXPECT_FALSE(Repeating());
  EXPECT_TRUE(ViewInfo()->GetIsLastTabFullyVisible());
  EXPECT_EQ(ViewInfo()->GetPressedNavigatorButton(), -1);
  Send(WM_LBUTTONUP, arrow);
}

TEST_F(TPCControllerFixture, SlidingOffAHeldArrowPausesItAndComingBackResumes)
{
  const TPoint arrow = HeaderButtonCentre(B::nbBottomRight);
  Send(WM_LBUTTONDOWN, arrow, MK_LBUTTON);
  ASSERT_EQ(FirstVisible(), 1);
  Send(WM_MOUSEMOVE, TPoint{arrow.x, 150}, MK_LBUTTON);
  Controller()->RepeatTimerHandler(nullptr);
  EXPECT_EQ(FirstVisible(), 1);
  EXPECT_FALSE(Repeating());
  Send(WM_MOUSEMOVE, arrow, MK_LBUTTON);
  EXPECT_EQ(FirstVisible(), 2);
  EXPECT_TRUE(Repeating());
  Send(WM_LBUTTONUP, arrow);
  EXPECT_FALSE(Repeating());
}

TEST_F(TPCControllerFixture, KeysMoveToTheirTargetTabs)
{
  struct {
    const char* Name;
    int From;
    WORD Key;
    vcl::TShiftState Shift;
    bool Handled;
    int Active;
  } const cases[] = {
      {"Ctrl+Tab wraps to the first", 7, VK_TAB, {S::ssCtrl}, true, 0},
      {"Ctrl+Shift+Tab wraps to the last", 0, VK_TAB, {S::ssCtrl, S::ssShift}, true, 7},
      {"Right on the last stays", 7, VK_RIGHT, {}, false, 7},
      {"Right", 2, VK_RIGHT, {}, true, 3},
      {"Up", 2, VK_UP, {}, true, 1},
      {"Alt+Right is left to others", 2, VK_RIGHT, {S::ssAlt}, false, 2},
      {"Ctrl+Alt+Right", 2, VK_RIGHT, {S::ssCtrl, S::ssAlt}, true, 3},
      {"Home", 5, VK_HOME, {}, true, 0},
      {"End", 2, VK_END, {}, true, 7},
      {"Tab alone", 2, VK_TAB, {}, false, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Pages->SetActivePageIndex(c.From);
    ViewInfo()->SetFocusedTabVisibleIndex(-1);
    EXPECT_EQ(Controller()->KeyDown(c.Key, c.Shift), c.Handled);
    EXPECT_EQ(Pages->GetActivePageIndex(), c.Active);
  }
}

TEST_F(TPCControllerFixture, AnAcceleratorSelectsItsTab)
{
  Pages->GetPage(3)->SetCaption(L"&Fields");
  Pages->GetPage(5)->SetCaption(L"Fi&lters");
  struct {
    wchar_t Key;
    bool Handled;
    int Active;
  } const cases[] = {{L'f', true, 3}, {L'L', true, 5}, {L'z', false, 5}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(1, static_cast<char>(c.Key)));
    EXPECT_EQ(SendMessageW(Pages->GetHandle(), rtl::CM_DIALOGCHAR, c.Key, 0) != 0, c.Handled);
    EXPECT_EQ(Pages->GetActivePageIndex(), c.Active);
  }
}

TEST_F(TPCControllerFixture, TheWheelScrollsOnlyOverTheTabStrip)
{
  struct {
    const char* Name;
    int Y;
    short Delta;
    int First;
  } const cases[] = {
      {"down over the tabs", 10, -WHEEL_DELTA, 1},
      {"down over the page", 150, -WHEEL_DELTA, 1},
      {"up over the tabs", 10, WHEEL_DELTA, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const TPoint P = Pages->ClientToScreen(TPoint{60, c.Y});
    SendMessageW(Pages->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, c.Delta), MAKELPARAM(P.x, P.y));
    EXPECT_EQ(FirstVisible(), c.First);
  }
}

TEST_F(TPCControllerFixture, PressableTabsSelectOnTheReleaseOverTheSameTab)
{
  Pages->SetStandardStyle(TcxPCStandardStyle::tsButtons);
  Pages->SetActivePageIndex(0);
  struct {
    const char* Name;
    int Press;
    int Release;
    int ActiveWhilePressed;
    int Active;
  } const cases[] = {
      {"press and release on a tab", 1, 1, 0, 1},
      {"released on another tab", 2, 0, 1, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Send(WM_LBUTTONDOWN, TabCentre(c.Press), MK_LBUTTON);
    EXPECT_EQ(Pages->GetActivePageIndex(), c.ActiveWhilePressed);
    EXPECT_EQ(ViewInfo()->GetPressedTabVisibleIndex(), c.Press);
    Send(WM_MOUSEMOVE, TabCentre(c.Release), MK_LBUTTON);
    Send(WM_LBUTTONUP, TabCentre(c.Release));
    EXPECT_EQ(Pages->GetActivePageIndex(), c.Active);
    EXPECT_EQ(ViewInfo()->GetPressedTabVisibleIndex(), -1);
  }
}

// A hidden window of the thread: a character posted to it reaches the
// menu's loop once the go dialog's menu shows.
class TPCMenuKeyWindow {
 public:
  TPCMenuKeyWindow()
      : FHandle(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr))
  {
  }
  ~TPCMenuKeyWindow()
  {
    kvtest::PumpMessages();
    DestroyWindow(FHandle);
  }
  TPCMenuKeyWindow(const TPCMenuKeyWindow&) = delete;
  TPCMenuKeyWindow& operator=(const TPCMenuKeyWindow&) = delete;

  void PostKey(WORD AKey) const { PostMessageW(FHandle, WM_KEYDOWN, AKey, 0); }
  void PostChar(wchar_t AChar) const { PostMessageW(FHandle, WM_CHAR, AChar, 0); }

 private:
  HWND FHandle;
};

TEST_F(TPCControllerFixture, TheGoDialogButtonOpensTheListAndSelectsTheTabChosen)
{
  Pages->GetPage(6)->SetCaption(L"&Relations");
  TcxPCOptions options = Pages->GetPropertiesObject()->GetOptions();
  options.Include(TcxPCOption::pcoGoDialog);
  Pages->GetPropertiesObject()->SetOptions(options);
  struct {
    const char* Name;
    bool Choose;
    int Active;
  } const cases[] = {{"closed without a choice", false, 0}, {"a tab chosen", true, 6}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const TPCMenuKeyWindow keys;
    if (c.Choose)
      keys.PostChar(L'r');
    else
      keys.PostKey(VK_ESCAPE);
    const TPoint button = HeaderButtonCentre(B::nbGoDialog);
    // The press opens the list and returns when it has closed.
    Send(WM_LBUTTONDOWN, button, MK_LBUTTON);
    EXPECT_FALSE(Controller()->IsGoDialogShowing());
    Send(WM_LBUTTONUP, button);
    EXPECT_EQ(Pages->GetActivePageIndex(), c.Active);
    EXPECT_EQ(ViewInfo()->GetPressedNavigatorButton(), -1);
  }
}

// Counts the clicks of custom header buttons.
class TPCHeaderClicks : public rtl::TObject {
  RTL_CLASS(TPCHeaderClicks, rtl::TObject)

 public:
  int Count = 0;
  void Click(rtl::TObject*) { ++Count; }
};

TEST_F(TPCControllerFixture, CustomHeaderButtonsStandBesideTheNavigatorAndClickWhenEnabled)
{
  const rtl::TOwnedPtr<TPCHeaderClicks> clicks(rtl::New<TPCHeaderClicks>());
  TcxPCButtons* buttons = Pages->GetPropertiesObject()->GetCustomButtons()->GetButtons();
  TcxPCButton* add = buttons->Add();
  add->SetHint(L"Add a page");
  add->SetOnClick(rtl::TNotifyEvent::Bind<&TPCHeaderClicks::Click>(clicks.get()));
  TcxPCButton* inTabs = buttons->Add();
  inTabs->SetPosition(TcxPCButtonPosition::pcbpTabs);
  // The custom header button comes first, then the arrows.
  ASSERT_EQ(ViewInfo()->NavigatorButtonCount(), 3);
  const TcxPCHeaderButton& header = ViewInfo()->GetNavigatorButtonInfo(0);
  ASSERT_EQ(header.Button, add);
  EXPECT_EQ(header.Bounds.right, ViewInfo()->GetNavigatorButtonInfo(1).Bounds.left);
  const TPoint P{(header.Bounds.left + header.Bounds.right) / 2, (header.Bounds.top + header.Bounds.bottom) / 2};
  struct {
    const char* Name;
    bool Enabled;
    int Clicks;
  } const cases[] = {{"enabled", true, 1}, {"disabled", false, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    add->SetEnabled(c.Enabled);
    Send(WM_LBUTTONDOWN, P, MK_LBUTTON);
    Send(WM_LBUTTONUP, P);
    EXPECT_EQ(clicks->Count, c.Clicks);
    EXPECT_EQ(ViewInfo()->GetNavigatorButtonInfo(0).State == TcxPCNavigatorButtonState::nbsDisabled, !c.Enabled);
  }
}

}  // namespace
