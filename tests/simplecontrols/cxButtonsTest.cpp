// The button's behaviour on a real window: the click road from the native
// BUTTON to OnClick, the accelerator, the drop-down kinds, repeat clicks,
// speed-button groups and the action link.
#include "simplecontrols/cxButtons.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/cxClasses.h"
#include "platform/vcl/ActnList.h"
#include "tests/support/TestHost.h"

namespace {

// Opens the protected parts a test drives: the repeat timer's tick (the
// injected clock) and the internal states.
class TButtonsTestButton : public TcxButton {
  RTL_CLASS(TButtonsTestButton, TcxButton)

 public:
  using TcxCustomButton::KeyDown;

  void Create(rtl::TComponent* AOwner) override
  {
    inherited::Create(AOwner);
    SetOnClick(rtl::TNotifyEvent::Bind<&TButtonsTestButton::Clicked>(this));
  }
  void TickRepeatTimer() { FButtonPressTimer->GetOnTimer()(FButtonPressTimer); }
  unsigned RepeatInterval() const { return FButtonPressTimer->GetInterval(); }
  bool RepeatRunning() const { return FButtonPressTimer->GetEnabled(); }
  void SetHot(bool AValue)
  {
    AValue ? IncludeInternalState(TcxButtonInternalState::bisHot)
           : ExcludeInternalState(TcxButtonInternalState::bisHot);
  }

  int Clicks = 0;

 private:
  void Clicked(rtl::TObject*) { ++Clicks; }
};

// Counts the drop-down requests and handles them, so no menu is shown.
class TButtonsTestMenuRequests : public rtl::TObject {
  RTL_CLASS(TButtonsTestMenuRequests, rtl::TObject)

 public:
  void Popup(TcxCustomButton*, rtl::TComponent*&, bool& AHandled)
  {
    ++Count;
    AHandled = true;
  }
  int Count = 0;
};

// Records where the context popup was asked for and takes it, so no menu
// is shown.
class TButtonsTestContextPopups : public rtl::TObject {
  RTL_CLASS(TButtonsTestContextPopups, rtl::TObject)

 public:
  void Popup(rtl::TObject*, TPoint AMousePos, bool& AHandled)
  {
    Points.push_back(AMousePos);
    AHandled = true;
  }
  std::vector<TPoint> Points;
};

class cxButtonsTest : public kvtest::THostedTest {
 protected:
  TButtonsTestButton* AddButton(const TRect& ABounds, const wchar_t* ACaption = L"Generate")
  {
    auto* button = AddChild<TButtonsTestButton>(ABounds);
    button->SetText(ACaption);
    button->HandleNeeded();
    return button;
  }

  // A real press and release of the left button at the control's client
  // point, through the system's input queue.
  static void RealClick(vcl::TControl* AControl, TPoint AClient)
  {
    const TPoint screen = AControl->ClientToScreen(AClient);
    SetCursorPos(screen.x, screen.y);
    kvtest::PumpMessages();
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(SendInput(2, input, sizeof(INPUT)), 2u);
  }
};

TEST_F(cxButtonsTest, RealClickReachesOnClickOnce)
{
  TButtonsTestButton* button = AddButton({20, 20, 120, 45});
  kvtest::PumpMessages();
  RealClick(button, {50, 12});
  EXPECT_TRUE(kvtest::PumpUntil([&] { return button->Clicks > 0; }));
  kvtest::PumpMessages();
  EXPECT_EQ(button->Clicks, 1);
}

TEST_F(cxButtonsTest, OwnerDrawnWindowAndNativeClickNotification)
{
  TButtonsTestButton* button = AddButton({20, 20, 120, 45});
  const LONG style = GetWindowLongW(button->GetHandle(), GWL_STYLE);
  EXPECT_EQ(style & BS_TYPEMASK, BS_OWNERDRAW);
  // BM_CLICK makes the native button report BN_CLICKED to its parent.
  SendMessageW(button->GetHandle(), BM_CLICK, 0, 0);
  kvtest::PumpMessages();
  EXPECT_EQ(button->Clicks, 1);
}

TEST_F(cxButtonsTest, AcceleratorClicksOnceWithoutTogglingDown)
{
  TButtonsTestButton* button = AddButton({20, 20, 120, 45}, L"&Save");
  button->SetGroupIndex(1);
  button->SetAllowAllUp(true);
  EXPECT_EQ(button->Perform(rtl::CM_DIALOGCHAR, L's', 0), 1);
  EXPECT_EQ(button->Clicks, 1);
  EXPECT_FALSE(button->GetDown());
  EXPECT_EQ(button->Perform(rtl::CM_DIALOGCHAR, L'x', 0), 0);
  EXPECT_EQ(button->Clicks, 1);
}

// The drop-down kinds ask for their menu instead of clicking; the request
// arrives as a posted message, after the click has been handled.
TEST_F(cxButtonsTest, DropDownKindsRequestTheMenuInsteadOfClicking)
{
  struct TCase {
    TcxButtonKind Kind;
    int Clicks;
    int Requests;
  };
  const TCase cases[] = {{TcxButtonKind::cxbkStandard, 1, 0},
                         {TcxButtonKind::cxbkDropDown, 0, 1},
                         {TcxButtonKind::cxbkOfficeDropDown, 0, 1},
                         {TcxButtonKind::cxbkDropDownButton, 1, 0},
                         {TcxButtonKind::cxbkCommandLink, 1, 0}};
  for (const TCase& row : cases) {
    TButtonsTestButton* button = AddButton({20, 20, 160, 60});
    button->SetKind(row.Kind);
    button->HandleNeeded();
    const rtl::TOwnedPtr<TButtonsTestMenuRequests> requests(rtl::New<TButtonsTestMenuRequests>());
    button->SetOnDropDownMenuPopupEx(
        TcxButtonDropDownMenuPopupExEvent::Bind<&TButtonsTestMenuRequests::Popup>(requests.get()));
    SendMessageW(button->GetHandle(), BM_CLICK, 0, 0);
    kvtest::PumpMessages();
    EXPECT_EQ(button->Clicks, row.Clicks) << static_cast<int>(row.Kind);
    EXPECT_EQ(requests->Count, row.Requests) << static_cast<int>(row.Kind);
    rtl::Free(button);
  }
}

// A press on the split button's right part opens the menu at once and the
// BN_CLICKED of its release is dropped; the left part clicks as usual.
TEST_F(cxButtonsTest, SplitButtonPartsAndKeyboard)
{
  TButtonsTestButton* button = AddButton({20, 20, 160, 50});
  button->SetKind(TcxButtonKind::cxbkDropDownButton);
  button->HandleNeeded();
  const rtl::TOwnedPtr<TButtonsTestMenuRequests> requests(rtl::New<TButtonsTestMenuRequests>());
  button->SetOnDropDownMenuPopupEx(
      TcxButtonDropDownMenuPopupExEvent::Bind<&TButtonsTestMenuRequests::Popup>(requests.get()));
  const TRect menuPart = button->GetMenuButtonBounds();
  ASSERT_GT(menuPart.right - menuPart.left, 0);
  EXPECT_EQ(menuPart.right, 140);

  const LPARAM right = MAKELPARAM(menuPart.left + 2, 10);
  button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, right);
  button->Perform(WM_LBUTTONUP, 0, right);
  kvtest::PumpMessages();
  EXPECT_EQ(requests->Count, 1);
  EXPECT_EQ(button->Clicks, 0);

  const LPARAM left = MAKELPARAM(10, 10);
  button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, left);
  button->Perform(WM_LBUTTONUP, 0, left);
  kvtest::PumpMessages();
  EXPECT_EQ(requests->Count, 1);
  EXPECT_EQ(button->Clicks, 1);

  WORD key = VK_DOWN;
  button->KeyDown(key, {vcl::TShiftStateItem::ssAlt});
  kvtest::PumpMessages();
  EXPECT_EQ(key, 0);
  EXPECT_EQ(requests->Count, 2);
}

// The timer is the clock: its first tick comes 400 ms after the press, the
// next every 100 ms; off the button the ticks click nothing, releasing the
// mouse button stops them.
TEST_F(cxButtonsTest, RepeatClickFollowsTheTimerWhilePressed)
{
  TButtonsTestButton* button = AddButton({20, 20, 120, 45});
  button->SetRepeatClick(true);
  kvtest::PumpMessages();
  const TPoint screen = button->ClientToScreen(TPoint{30, 10});
  SetCursorPos(screen.x, screen.y);
  kvtest::PumpMessages();
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  ASSERT_EQ(SendInput(1, &input, sizeof(INPUT)), 1u);
  ASSERT_TRUE(kvtest::PumpUntil([&] { return button->RepeatRunning(); }));
  EXPECT_EQ(button->RepeatInterval(), 400u);
  button->SetHot(true);

  button->TickRepeatTimer();
  EXPECT_EQ(button->Clicks, 1);
  EXPECT_EQ(button->RepeatInterval(), 100u);
  button->TickRepeatTimer();
  EXPECT_EQ(button->Clicks, 2);

  button->SetHot(false);
  button->TickRepeatTimer();
  EXPECT_EQ(button->Clicks, 2);
  EXPECT_TRUE(button->RepeatRunning());

  input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ASSERT_EQ(SendInput(1, &input, sizeof(INPUT)), 1u);
  ASSERT_TRUE(kvtest::PumpUntil([&] { return !button->RepeatRunning(); }));
  // The release over the button still ends in the native button's click.
  EXPECT_LE(button->Clicks, 3);
}

// A non-focusable button never takes the focus and clicks on the release
// over it; in a group it toggles Down.
TEST_F(cxButtonsTest, NonFocusableButtonClicksOnMouseUpOverIt)
{
  TButtonsTestButton* other = AddButton({200, 20, 300, 45}, L"Other");
  other->SetFocus();
  TButtonsTestButton* button = AddButton({20, 20, 120, 45});
  button->SetCanBeFocused(false);
  button->SetGroupIndex(3);
  button->SetAllowAllUp(true);
  EXPECT_FALSE(button->CanFocus());

  button->SetHot(true);
  button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_FALSE(button->Focused());
  button->Perform(WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  kvtest::PumpMessages();
  EXPECT_EQ(button->Clicks, 1);
  EXPECT_TRUE(button->GetDown());

  // Released away from the button: no click.
  button->SetHot(true);
  button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  button->SetHot(false);
  button->Perform(WM_LBUTTONUP, 0, MAKELPARAM(300, 10));
  EXPECT_EQ(button->Clicks, 1);
  EXPECT_TRUE(button->GetDown());
}

TEST_F(cxButtonsTest, GroupKeepsAtMostOneButtonDownAndSharesItsOptions)
{
  std::vector<TButtonsTestButton*> group;
  for (int i = 0; i < 3; ++i) {
    group.push_back(AddButton({20 + 110 * i, 20, 120 + 110 * i, 45}));
    group.back()->SetGroupIndex(1);
  }
  const auto downs = [&] {
    std::vector<bool> result;
    for (TButtonsTestButton* button : group)
      result.push_back(button->GetDown());
    return result;
  };
  SendMessageW(group[0]->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_EQ(downs(), (std::vector<bool>{true, false, false}));
  SendMessageW(group[1]->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_EQ(downs(), (std::vector<bool>{false, true, false}));
  // Without AllowAllUp the down button stays down.
  SendMessageW(group[1]->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_EQ(downs(), (std::vector<bool>{false, true, false}));

  group[2]->SetAllowAllUp(true);
  for (TButtonsTestButton* button : group)
    EXPECT_TRUE(button->GetAllowAllUp());
  SendMessageW(group[1]->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_EQ(downs(), (std::vector<bool>{false, false, false}));

  group[0]->GetSpeedButtonOptions()->SetFlat(true);
  for (TButtonsTestButton* button : group)
    EXPECT_TRUE(button->GetSpeedButtonOptions()->GetFlat());
}

TEST_F(cxButtonsTest, DownNeedsAGroupAndCommandLinksStayPlainButtons)
{
  TButtonsTestButton* button = AddButton({20, 20, 120, 45});
  button->SetDown(true);
  EXPECT_FALSE(button->GetDown());

  button->SetKind(TcxButtonKind::cxbkCommandLink);
  button->SetCanBeFocused(false);
  button->SetGroupIndex(2);
  EXPECT_TRUE(button->GetEffectiveCanBeFocused());
  EXPECT_EQ(button->GetEffectiveGroupIndex(), 0);
  EXPECT_FALSE(button->IsSpeedButtonMode());
}

// Copying options sets the group before Down, so the copied Down holds.
TEST_F(cxButtonsTest, AssignedOptionsCopyTheGroupBeforeDown)
{
  TButtonsTestButton* source = AddButton({20, 20, 120, 45});
  source->SetGroupIndex(4);
  source->SetAllowAllUp(true);
  source->SetDown(true);
  TButtonsTestButton* target = AddButton({20, 60, 120, 85});
  target->GetSpeedButtonOptions()->Assign(source->GetSpeedButtonOptions());
  EXPECT_EQ(target->GetGroupIndex(), 4);
  EXPECT_TRUE(target->GetDown());
  // Both are down in group 4 now; the later one put the first one up.
  EXPECT_FALSE(source->GetDown());
}

// An action's Checked drives Down through the link: it puts the others of
// the group up, and takes the button up even without AllowAllUp.
TEST_F(cxButtonsTest, ActionCheckedDrivesDown)
{
  const rtl::TOwnedPtr<vcl::TAction> action(rtl::New<vcl::TAction>(nullptr));
  action->SetGroupIndex(1);
  TButtonsTestButton* other = AddButton({140, 20, 240, 45});
  other->SetGroupIndex(1);
  other->SetDown(true);
  TButtonsTestButton* button = AddButton({20, 20, 120, 45});
  button->SetAction(action.get());
  EXPECT_EQ(button->GetGroupIndex(), 1);
  action->SetChecked(true);
  EXPECT_TRUE(button->GetDown());
  EXPECT_FALSE(other->GetDown());
  action->SetChecked(false);
  EXPECT_FALSE(button->GetDown());
  button->SetAction(nullptr);
}

TEST_F(cxButtonsTest, MenusAcceptOnlyPopupMenus)
{
  TButtonsTestButton* button = AddButton({20, 20, 120, 45});
  const rtl::TOwnedPtr<vcl::TPopupMenu> menu(rtl::New<vcl::TPopupMenu>(nullptr));
  button->SetDropDownMenu(menu.get());
  EXPECT_EQ(button->GetDropDownMenu(), menu.get());
  button->SetDropDownMenu(FHost.get());
  EXPECT_EQ(button->GetDropDownMenu(), nullptr);
  button->SetCxPopupMenu(menu.get());
  EXPECT_EQ(button->GetCxPopupMenu(), menu.get());
}

// A context menu from the keyboard, or from a point outside the button,
// is offered at once and its answer becomes the message result; a point
// inside goes the framework's way with the client point.
TEST_F(cxButtonsTest, ContextMenuRequests)
{
  TButtonsTestButton* button = AddButton({20, 20, 120, 45});
  const rtl::TOwnedPtr<TButtonsTestContextPopups> popups(rtl::New<TButtonsTestContextPopups>());
  button->SetOnContextPopup(vcl::TContextPopupEvent::Bind<&TButtonsTestContextPopups::Popup>(popups.get()));
  EXPECT_EQ(button->Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(button->GetHandle()), MAKELPARAM(-1, -1)), 1);
  const TPoint inside = button->ClientToScreen(TPoint{5, 6});
  button->Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(button->GetHandle()), MAKELPARAM(inside.x, inside.y));
  ASSERT_EQ(popups->Points.size(), 2u);
  EXPECT_EQ(popups->Points[0].x, -1);
  EXPECT_EQ(popups->Points[0].y, -1);
  EXPECT_EQ(popups->Points[1].x, 5);
  EXPECT_EQ(popups->Points[1].y, 6);
}

}  // namespace
