#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/rtl/ClassesThreads.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Menus.h"

using enum vcl::TActionListState;
using enum vcl::TControlStyleItem;
using enum vcl::TFormBorderStyle;

// The button's link is tested with the buttons (StdCtrlsTest.cpp).

namespace vcl {
namespace {

using rtl::String;

// Records what the actions and lists under test report.
// A control that publishes what a form file writes of an action's client.
class TActnListTestControl : public TControl {
  RTL_CLASS(TActnListTestControl, TControl)
  RTL_PUBLISHED(RTL_PUBLISH(Caption))
};

class TActnListTestEvents : public rtl::TObject {
  RTL_CLASS(TActnListTestEvents, rtl::TObject)

 public:
  void Executed(TObject* ASender)
  {
    Log.push_back(L"execute");
    Senders.push_back(ASender);
    if (rtl::Is<TBasicAction>(ASender))
      ActionComponents.push_back(static_cast<TBasicAction*>(ASender)->GetActionComponent());
    if (rtl::TObject* gone = std::exchange(FreeOnExecute, nullptr))
      rtl::Free(gone);
    if (const std::function<void()> also = std::exchange(AlsoOnExecute, nullptr))
      also();
  }
  void Updated(TObject* ASender)
  {
    Log.push_back(L"update");
    Senders.push_back(ASender);
    // Leaves the idle wait of the application's idle step at once.
    PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
  }
  void Clicked(TObject* /*ASender*/) { Log.push_back(L"click"); }
  void ListExecute(TBasicAction* /*AAction*/, bool& AHandled)
  {
    Log.push_back(L"list execute");
    AHandled = ListHandles;
  }

  std::vector<String> Log;
  std::vector<TObject*> Senders;
  std::vector<rtl::TComponent*> ActionComponents;
  bool ListHandles = false;
  // Freed by the next execution (a client closing itself).
  rtl::TObject* FreeOnExecute = nullptr;
  // Done by the next execution.
  std::function<void()> AlsoOnExecute;
};

// One client kind under test, reached through the same questions.
struct TActnListTestClient {
  const char* Kind;
  rtl::TComponent* Object;
  std::function<void(TBasicAction*)> SetAction;
  std::function<TBasicAction*()> GetAction;
  std::function<String()> Caption;
  std::function<bool()> Enabled;
  std::function<String()> Hint;
  std::function<bool()> Visible;
  std::function<void()> Click;
  // Null for clients without the property.
  std::function<bool()> Checked;
  std::function<int()> ImageIndex;
};

class TActnListTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    FEvents.reset(rtl::New<TActnListTestEvents>());
    FOwner.reset(rtl::New<rtl::TComponent>(nullptr));
    FList = rtl::New<TActionList>(FOwner.get());
  }

  TAction* NewAction(const String& ACaption)
  {
    TAction* action = rtl::New<TAction>(FOwner.get());
    action->SetActionList(FList);
    action->SetCaption(ACaption);
    return action;
  }

  rtl::TNotifyEvent ExecuteHandler() { return rtl::TNotifyEvent::Bind<&TActnListTestEvents::Executed>(FEvents.get()); }

  // A plain control, a windowed one and a menu item.
  std::vector<TActnListTestClient> NewClients()
  {
    auto* control = rtl::New<TControl>(FOwner.get());
    auto* item = rtl::New<TMenuItem>(FOwner.get());
    auto* window = rtl::New<TWinControl>(FOwner.get());
    return {
        {"control", control, [=](TBasicAction* A) { control->SetAction(A); }, [=] { return control->GetAction(); },
         [=] { return control->GetText(); }, [=] { return control->GetEnabled(); },
         [=] { return control->GetHint(); }, [=] { return control->GetVisible(); }, [=] { control->Click(); },
         nullptr, nullptr},
        {"menu item", item, [=](TBasicAction* A) { item->SetAction(A); }, [=] { return item->GetAction(); },
         [=] { return item->GetCaption(); }, [=] { return item->GetEnabled(); }, [=] { return item->GetHint(); },
         [=] { return item->GetVisible(); }, [=] { item->Click(); }, [=] { return item->GetChecked(); },
         [=] { return item->GetImageIndex(); }},
        {"windowed control", window, [=](TBasicAction* A) { window->SetAction(A); },
         [=] { return window->GetAction(); }, [=] { return window->GetText(); },
         [=] { return window->GetEnabled(); }, [=] { return window->GetHint(); },
         [=] { return window->GetVisible(); }, [=] { window->Click(); }, nullptr, nullptr},
    };
  }

  rtl::TOwnedPtr<TActnListTestEvents> FEvents;
  rtl::TOwnedPtr<rtl::TComponent> FOwner;
  TActionList* FList = nullptr;
};

void ExpectFollows(const TActnListTestClient& AClient, TCustomAction* AAction, const char* AWhen)
{
  SCOPED_TRACE(std::string(AClient.Kind) + ", " + AWhen);
  EXPECT_EQ(AClient.Caption(), AAction->GetCaption());
  EXPECT_EQ(AClient.Enabled(), AAction->GetEnabled());
  EXPECT_EQ(AClient.Hint(), AAction->GetHint());
  EXPECT_EQ(AClient.Visible(), AAction->GetVisible());
  if (AClient.Checked) {
    EXPECT_EQ(AClient.Checked(), AAction->GetChecked());
  }
  if (AClient.ImageIndex) {
    EXPECT_EQ(AClient.ImageIndex(), AAction->GetImageIndex());
  }
}

// ---------------------------------------------------------------------------
// Clients follow their action

TEST_F(TActnListTest, SettingAnActionCopiesItsValuesToEveryKindOfClient)
{
  TAction* action = NewAction(L"&Save");
  action->SetHint(L"Save the file");
  action->SetEnabled(false);
  action->SetVisible(false);
  action->SetChecked(true);
  action->SetImageIndex(3);
  action->SetOnExecute(ExecuteHandler());
  for (const TActnListTestClient& client : NewClients()) {
    client.SetAction(action);
    EXPECT_EQ(client.GetAction(), action) << client.Kind;
    ExpectFollows(client, action, "set");
  }
}

TEST_F(TActnListTest, AChangedActionReachesAllItsClients)
{
  TAction* action = NewAction(L"Open");
  const std::vector<TActnListTestClient> clients = NewClients();
  for (const TActnListTestClient& client : clients)
    client.SetAction(action);
  const std::vector<std::pair<const char*, std::function<void()>>> changes = {
      {"caption", [&] { action->SetCaption(L"Open..."); }},
      {"hint", [&] { action->SetHint(L"Opens a file"); }},
      {"enabled", [&] { action->SetEnabled(false); }},
      {"visible", [&] { action->SetVisible(false); }},
      {"checked", [&] { action->SetChecked(true); }},
      {"image index", [&] { action->SetImageIndex(5); }},
  };
  for (const auto& [name, change] : changes) {
    change();
    for (const TActnListTestClient& client : clients)
      ExpectFollows(client, action, name);
  }
}

TEST_F(TActnListTest, AClientValueOfItsOwnIsNoLongerLinkedButTheNextChangeCopiesAllAgain)
{
  TAction* action = NewAction(L"Print");
  action->SetHint(L"Prints");
  TControl* control = rtl::New<TActnListTestControl>(FOwner.get());
  control->SetAction(action);
  TControlActionLink* link = control->GetActionLink();
  EXPECT_TRUE(link->IsCaptionLinked());
  EXPECT_TRUE(link->IsHintLinked());

  control->SetText(L"Print now");
  EXPECT_FALSE(link->IsCaptionLinked()) << "the caption differs from the action's";
  EXPECT_TRUE(link->IsHintLinked());
  EXPECT_FALSE(rtl::IsStoredProp(control, rtl::GetPropInfo(control, L"Hint"))) << "a linked value is not written to the form file";
  EXPECT_TRUE(rtl::IsStoredProp(control, rtl::GetPropInfo(control, L"Caption")));

  // The framework's rule: every change of the action is also announced as
  // a whole, and the control then takes all of the action's values.
  action->SetHint(L"Prints the page");
  EXPECT_EQ(control->GetText(), L"Print");
  EXPECT_EQ(control->GetHint(), L"Prints the page");
}

// ---------------------------------------------------------------------------
// Execution

TEST_F(TActnListTest, AClickExecutesTheActionWithTheClientAsActionComponent)
{
  TAction* action = NewAction(L"Cut");
  action->SetOnExecute(ExecuteHandler());
  for (const TActnListTestClient& client : NewClients()) {
    SCOPED_TRACE(client.Kind);
    FEvents->Log.clear();
    FEvents->ActionComponents.clear();
    client.SetAction(action);
    client.Click();
    EXPECT_EQ(FEvents->Log, std::vector<String>{L"execute"});
    EXPECT_EQ(FEvents->ActionComponents, std::vector<rtl::TComponent*>{client.Object});
    EXPECT_EQ(action->GetActionComponent(), nullptr) << "only for the time of the call";
  }
}

TEST_F(TActnListTest, TheListSeesTheExecutionFirstAndMayHandleIt)
{
  TAction* action = NewAction(L"Paste");
  action->SetOnExecute(ExecuteHandler());
  FList->SetOnExecute(TActionEvent::Bind<&TActnListTestEvents::ListExecute>(FEvents.get()));
  TControl* control = rtl::New<TControl>(FOwner.get());
  control->SetAction(action);

  struct Row {
    bool ListHandles;
    std::vector<String> Expected;
  };
  const Row rows[] = {{true, {L"list execute"}}, {false, {L"list execute", L"execute"}}};
  for (const Row& row : rows) {
    FEvents->Log.clear();
    FEvents->ListHandles = row.ListHandles;
    control->Click();
    EXPECT_EQ(FEvents->Log, row.Expected) << row.ListHandles;
  }
}

TEST_F(TActnListTest, AnOnClickOfItsOwnRunsInsteadOfTheAction)
{
  TAction* action = NewAction(L"Copy");
  action->SetOnExecute(ExecuteHandler());
  TControl* control = rtl::New<TControl>(FOwner.get());
  control->SetAction(action);
  control->SetOnClick(rtl::TNotifyEvent::Bind<&TActnListTestEvents::Clicked>(FEvents.get()));
  EXPECT_FALSE(control->GetActionLink()->IsOnExecuteLinked());
  control->Click();
  EXPECT_EQ(FEvents->Log, std::vector<String>{L"click"});
}

TEST_F(TActnListTest, ADisabledOrSuspendedActionDoesNotExecute)
{
  TAction* action = NewAction(L"Undo");
  action->SetOnExecute(ExecuteHandler());
  struct Row {
    const char* Name;
    bool Enabled;
    TActionListState State;
    bool Expected;
  };
  const Row rows[] = {
      {"enabled", true, asNormal, true},
      {"disabled", false, asNormal, false},
      {"suspended", true, asSuspended, false},
  };
  for (const Row& row : rows) {
    FList->SetState(asNormal);
    action->SetEnabled(row.Enabled);
    FList->SetState(row.State);
    FEvents->Log.clear();
    EXPECT_EQ(action->Execute(), row.Expected) << row.Name;
    EXPECT_EQ(FEvents->Log.size(), row.Expected ? 1u : 0u) << row.Name;
  }
}

TEST_F(TActnListTest, AutoCheckTogglesAndAGroupKeepsOneChecked)
{
  TAction* left = NewAction(L"Left");
  TAction* right = NewAction(L"Right");
  TAction* toggle = NewAction(L"Toggle");
  for (TAction* action : {left, right, toggle}) {
    action->SetAutoCheck(true);
    action->SetOnExecute(ExecuteHandler());
  }
  left->SetGroupIndex(1);
  right->SetGroupIndex(1);

  toggle->Execute();
  EXPECT_TRUE(toggle->GetChecked());
  toggle->Execute();
  EXPECT_FALSE(toggle->GetChecked());

  left->Execute();
  EXPECT_TRUE(left->GetChecked());
  right->Execute();
  EXPECT_TRUE(right->GetChecked());
  EXPECT_FALSE(left->GetChecked()) << "checking one of a group unchecks the others";
  right->Execute();
  EXPECT_TRUE(right->GetChecked()) << "a checked action of a group stays checked";
}

TEST_F(TActnListTest, AnUpdateNobodyHandlesDisablesAnActionWithoutOnExecute)
{
  struct Row {
    const char* Name;
    bool HasOnExecute;
    bool HasOnUpdate;
    bool DisableIfNoHandler;
    bool ExpectedEnabled;
  };
  const Row rows[] = {
      {"no handler at all", false, false, true, false},
      {"no handler, not wanted", false, false, false, true},
      {"OnExecute", true, false, true, true},
      {"OnUpdate", false, true, true, true},
  };
  for (const Row& row : rows) {
    TAction* action = NewAction(L"Find");
    if (row.HasOnExecute)
      action->SetOnExecute(ExecuteHandler());
    if (row.HasOnUpdate)
      action->SetOnUpdate(rtl::TNotifyEvent::Bind<&TActnListTestEvents::Updated>(FEvents.get()));
    action->SetDisableIfNoHandler(row.DisableIfNoHandler);
    TControl* control = rtl::New<TControl>(FOwner.get());
    control->SetAction(action);
    control->InitiateAction();
    EXPECT_EQ(action->GetEnabled(), row.ExpectedEnabled) << row.Name;
    EXPECT_EQ(control->GetEnabled(), row.ExpectedEnabled) << row.Name;
  }
}

TEST_F(TActnListTest, SuspendedEnabledShowsEveryActionEnabledUntilTheListIsBack)
{
  TAction* action = NewAction(L"Replace");
  TControl* control = rtl::New<TControl>(FOwner.get());
  control->SetAction(action);
  action->SetEnabled(false);
  FList->SetState(asSuspendedEnabled);
  EXPECT_TRUE(control->GetEnabled());
  action->SetEnabled(false);
  EXPECT_TRUE(control->GetEnabled()) << "kept for the return to normal";
  FList->SetState(asNormal);
  EXPECT_FALSE(control->GetEnabled());

  // Changes while suspended reach the clients on the way back.
  FList->SetState(asSuspended);
  action->SetEnabled(true);
  EXPECT_FALSE(control->GetEnabled());
  FList->SetState(asNormal);
  EXPECT_TRUE(control->GetEnabled());
}

// ---------------------------------------------------------------------------
// Short cuts

TEST_F(TActnListTest, AShortCutOfTheListExecutesItsAction)
{
  // Keys without Ctrl or Shift, which the test cannot hold down.
  TAction* refresh = NewAction(L"Refresh");
  refresh->SetShortCut(VK_F5);
  refresh->SetOnExecute(ExecuteHandler());
  TAction* locked = NewAction(L"Locked");
  locked->SetShortCut(VK_F6);
  locked->SetOnExecute(ExecuteHandler());
  locked->SetEnabled(false);

  struct Row {
    WORD Key;
    TActionListState State;
    bool Handled;
  };
  const Row rows[] = {
      {VK_F5, asNormal, true}, {VK_F6, asNormal, false}, {VK_F7, asNormal, false}, {VK_F5, asSuspended, false}};
  for (const Row& row : rows) {
    FList->SetState(row.State);
    FEvents->Senders.clear();
    TWMKey key{WM_KEYDOWN, row.Key, 0, 0, 0};
    EXPECT_EQ(FList->IsShortCut(key), row.Handled) << row.Key;
    EXPECT_EQ(FEvents->Senders, row.Handled ? std::vector<TObject*>{refresh} : std::vector<TObject*>{}) << row.Key;
  }
}

// ---------------------------------------------------------------------------
// Life cycle

TEST_F(TActnListTest, FreeingTheActionLeavesItsClientsWithout)
{
  TAction* action = NewAction(L"Close");
  action->SetOnExecute(ExecuteHandler());
  const std::vector<TActnListTestClient> clients = NewClients();
  for (const TActnListTestClient& client : clients)
    client.SetAction(action);
  EXPECT_EQ(action->GetClientCount(), 3);
  EXPECT_EQ(FList->GetActionCount(), 1);
  rtl::Free(action);
  EXPECT_EQ(FList->GetActionCount(), 0);
  for (const TActnListTestClient& client : clients) {
    EXPECT_EQ(client.GetAction(), nullptr) << client.Kind;
    // The OnClick copied from the action stays and now runs on its own.
    client.Click();
  }
  EXPECT_FALSE(static_cast<TControl*>(clients[0].Object)->GetControlStyle().Contains(csActionClient));
  EXPECT_FALSE(static_cast<TControl*>(clients[2].Object)->GetControlStyle().Contains(csActionClient));
  const std::vector<TObject*> senders{clients[0].Object, clients[1].Object, clients[2].Object};
  EXPECT_EQ(FEvents->Senders, senders);
}

TEST_F(TActnListTest, FreeingAClientLeavesTheActionsLinks)
{
  TAction* action = NewAction(L"Help");
  TControl* control = rtl::New<TControl>(FOwner.get());
  TMenuItem* item = rtl::New<TMenuItem>(FOwner.get());
  control->SetAction(action);
  item->SetAction(action);
  rtl::Free(control);
  rtl::Free(item);
  EXPECT_EQ(action->GetClientCount(), 0);
  action->SetCaption(L"Help topics");  // would reach freed links otherwise
}

TEST_F(TActnListTest, AClientFreedByItsOwnActionIsNotTouchedAfterwards)
{
  TAction* action = NewAction(L"Close");
  action->SetOnExecute(ExecuteHandler());
  for (const TActnListTestClient& client : NewClients()) {
    SCOPED_TRACE(client.Kind);
    client.SetAction(action);
    FEvents->FreeOnExecute = client.Object;
    client.Click();
    EXPECT_EQ(FEvents->FreeOnExecute, nullptr);
    EXPECT_EQ(action->GetClientCount(), 0);
    EXPECT_EQ(action->GetActionComponent(), nullptr);
  }
}

// A handler that frees the link the execution runs through (its client drops
// the action) or the action itself: the execution touches neither after, and
// an action that lives on forgets the component it ran for.
TEST_F(TActnListTest, AnExecutionWhoseHandlerFreesTheLinkOrTheActionTouchesNeither)
{
  enum class TFrees { Link, Action };
  const struct {
    const char* Name;
    TFrees Frees;
  } cases[] = {{"the client drops its action", TFrees::Link}, {"the action is freed", TFrees::Action}};
  for (const auto& c : cases) {
    for (const TActnListTestClient& client : NewClients()) {
      SCOPED_TRACE(std::string(c.Name) + ", " + client.Kind);
      TAction* action = NewAction(L"Close");
      action->SetOnExecute(ExecuteHandler());
      client.SetAction(action);
      if (c.Frees == TFrees::Link)
        FEvents->AlsoOnExecute = [&client] { client.SetAction(nullptr); };
      else
        FEvents->FreeOnExecute = action;
      client.Click();
      EXPECT_EQ(client.GetAction(), nullptr);
      if (c.Frees == TFrees::Link) {
        EXPECT_EQ(action->GetClientCount(), 0);
        EXPECT_EQ(action->GetActionComponent(), nullptr);
      }
    }
  }
}

TEST_F(TActnListTest, TheListFreesItsActionsAndForgetsItsImages)
{
  TAction* action = NewAction(L"A");
  TImageList* images = rtl::New<TImageList>(FOwner.get());
  FList->SetImages(images);
  EXPECT_EQ(action->GetImages(), images);
  rtl::Free(images);
  EXPECT_EQ(FList->GetImages(), nullptr);
  rtl::TComponent* owner = FOwner.get();
  EXPECT_EQ(owner->GetComponentCount(), 2);
  rtl::Free(FList);
  EXPECT_EQ(owner->GetComponentCount(), 0) << "the action went with its list";
}

// ---------------------------------------------------------------------------
// Idle update

class TActnListIdleTest : public TActnListTest {
 protected:
  void TearDown() override
  {
    DoneApplication();
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
};

TEST_F(TActnListIdleTest, TheIdleStepUpdatesTheActionsOfVisibleClients)
{
  rtl::SetMainThread();
  TForm* form = rtl::NewWith<TForm>([](TForm* F) { F->CreateNew(Application()); });
  form->SetBorderStyle(bsNone);
  TAction* shown = NewAction(L"Shown");
  TAction* hidden = NewAction(L"Hidden");
  for (TAction* action : {shown, hidden})
    action->SetOnUpdate(rtl::TNotifyEvent::Bind<&TActnListTestEvents::Updated>(FEvents.get()));
  TWinControl* button = rtl::New<TWinControl>(form);
  button->SetParent(form);
  button->SetAction(shown);
  TWinControl* invisible = rtl::New<TWinControl>(form);
  invisible->SetParent(form);
  invisible->SetAction(hidden);
  invisible->SetVisible(false);
  form->Show();
  Application()->ProcessMessages();

  // A safety net only: the update itself posts the message that ends the
  // idle wait.
  const UINT_PTR timer = SetTimer(nullptr, 0, 5000, nullptr);
  FEvents->Senders.clear();
  // Messages still arriving are handled first; the idle step follows.
  for (int i = 0; i < 100 && FEvents->Senders.empty(); ++i)
    Application()->HandleMessage();
  KillTimer(nullptr, timer);
  EXPECT_EQ(FEvents->Senders, std::vector<TObject*>{shown});
}

}  // namespace
}  // namespace vcl
