#include "controls/cxCustomPopupWindow.h"

#include <gtest/gtest.h>

#include <string>

#include "controls/cxWindowUtils.h"
#include "platform/rtl/ClassesThreads.h"
#include "platform/vcl/Forms.h"
#include "tests/controls/ControlsTestSupport.h"
#include "tests/support/TestHost.h"
#include "tests/support/TestSupport.h"

namespace {

// A panel that records the system keys that reach it.
class TCustomPopupTestPanel : public kvtest::TTestPanel {
  RTL_CLASS(TCustomPopupTestPanel, kvtest::TTestPanel)

 public:
  std::vector<WPARAM> SysKeys;
  // WM_APP sets its modal result.
  vcl::TCustomForm* ModalTarget = nullptr;

 protected:
  void WndProc(vcl::TMessage& AMessage) override
  {
    if (AMessage.Msg == WM_SYSKEYDOWN)
      SysKeys.push_back(AMessage.WParam);
    if (AMessage.Msg == WM_APP && ModalTarget)
      ModalTarget->SetModalResult(vcl::mrOk);
    inherited::WndProc(AMessage);
  }
};

// A popup whose events and click answer a test sets.
class TCustomPopupTestPopup : public TcxCustomPopupWindow {
  RTL_CLASS(TCustomPopupTestPopup, TcxCustomPopupWindow)

 public:
  bool ConsumeClick = false;
  kvtest::TSequenceLog* Log = nullptr;
  std::wstring Name;

  bool IsClickConsumedOnClose(HWND, UINT, const TPoint&, vcl::TShiftState) override { return ConsumeClick; }

 protected:
  void DoShowing() override { Record(L"showing"); }
  void DoShowed() override { Record(L"showed"); }
  void DoBeforeClosing() override { Record(L"before closing"); }
  void DoClosing() override { Record(L"closing"); }
  void DoClosed() override { Record(L"closed"); }

 private:
  void Record(const wchar_t* AWhat)
  {
    if (Log)
      Log->Add(Name + L" " + AWhat);
  }
};

// A shown form with an owner panel; popups open against the panel without
// taking the activation unless a case says otherwise.
class cxCustomPopupWindowTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    FForm.reset(rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(nullptr); }));
    FForm->SetBorderStyle(vcl::TFormBorderStyle::bsNone);
    FForm->SetBounds(30, 30, 400, 300);
    FOwner = rtl::New<TCustomPopupTestPanel>(FForm.get());
    FOwner->SetBounds(20, 20, 120, 24);
    FOwner->SetParent(FForm.get());
    FForm->Show();
    kvtest::PumpMessages();
  }
  void TearDown() override
  {
    FPopups.clear();
    FForm.reset();
    kvtest::PumpMessages();
  }

  TCustomPopupTestPopup* NewPopup(vcl::TWinControl* AOwner, const wchar_t* AName)
  {
    auto* popup = rtl::New<TCustomPopupTestPopup>(AOwner);
    FPopups.emplace_back(popup);
    popup->Name = AName;
    popup->Log = &FLog;
    popup->SetCaptureFocus(false);
    popup->SetOwnerBounds(AOwner->GetClientRect());
    popup->SetOwnerParent(AOwner);
    popup->SetBounds(0, 0, 100, 60);
    return popup;
  }

  TPoint ScreenPoint(vcl::TWinControl* AControl, int X, int Y)
  {
    return cxClientToScreenPoint(AControl->GetHandle(), {X, Y});
  }

  rtl::TOwnedPtr<vcl::TForm> FForm;
  TCustomPopupTestPanel* FOwner = nullptr;
  std::vector<rtl::TOwnedPtr<TCustomPopupTestPopup>> FPopups;
  kvtest::TSequenceLog FLog;
};

TEST_F(cxCustomPopupWindowTest, OutsideClickRule)
{
  struct {
    const char* Name;
    bool OnOwner;
    UINT Message;
    bool ConsumeClick;
    bool Discarded;
    bool JustClosed;
  } const cases[] = {
      {"left click on the owner", true, WM_LBUTTONDOWN, false, false, false},
      {"left click on the owner, consumed: reaches the owner, no reopening", true, WM_LBUTTONDOWN, true, false,
       true},
      {"double click on the owner, consumed", true, WM_LBUTTONDBLCLK, true, false, true},
      {"right click on the owner counts as elsewhere", true, WM_RBUTTONDOWN, true, true, false},
      {"click elsewhere on the form", false, WM_LBUTTONDOWN, false, false, false},
      {"click elsewhere on the form, consumed", false, WM_LBUTTONDOWN, true, true, false},
  };
  TCustomPopupTestPopup* popup = NewPopup(FOwner, L"popup");
  for (const auto& c : cases) {
    popup->ConsumeClick = c.ConsumeClick;
    popup->Popup(nullptr);
    ASSERT_TRUE(popup->IsVisible()) << c.Name;
    const HWND target = c.OnOwner ? FOwner->GetHandle() : FForm->GetHandle();
    const TPoint point = c.OnOwner ? ScreenPoint(FOwner, 5, 5) : ScreenPoint(FForm.get(), 300, 200);
    EXPECT_EQ(cxPopupOutsideClick(target, c.Message, point), c.Discarded) << c.Name;
    EXPECT_FALSE(popup->IsVisible()) << c.Name;
    EXPECT_EQ(popup->JustClosed(), c.JustClosed) << c.Name;
    EXPECT_FALSE(popup->JustClosed()) << c.Name << ": read once";
  }

  popup->Popup(nullptr);
  EXPECT_FALSE(cxPopupOutsideClick(popup->GetHandle(), WM_LBUTTONDOWN, ScreenPoint(popup, 5, 5)));
  EXPECT_TRUE(popup->IsVisible()) << "a click into the popup keeps it";
}

TEST_F(cxCustomPopupWindowTest, NestedPopupsCloseFromTheClickedOneOn)
{
  TCustomPopupTestPopup* first = NewPopup(FOwner, L"first");
  auto* inner = rtl::New<TCustomPopupTestPanel>(first);
  inner->SetBounds(0, 0, 80, 20);
  inner->SetParent(first);
  first->Popup(nullptr);
  TCustomPopupTestPopup* second = NewPopup(inner, L"second");
  second->Popup(nullptr);
  ASSERT_TRUE(first->IsVisible() && second->IsVisible());
  EXPECT_TRUE(cxIsRelatedWindow(FForm->GetHandle(), second->GetHandle())) << "through the chain of owners";
  EXPECT_EQ(cxGetPopupOwnerWindow(second->GetHandle()), inner->GetHandle());
  EXPECT_TRUE(cxIsRelatedToPopupWindow(first, second->GetHandle()));

  EXPECT_FALSE(cxPopupOutsideClick(second->GetHandle(), WM_LBUTTONDOWN, ScreenPoint(second, 5, 5)));
  EXPECT_TRUE(first->IsVisible() && second->IsVisible()) << "a click into the second keeps both";

  cxPopupOutsideClick(first->GetHandle(), WM_LBUTTONDOWN, ScreenPoint(first, 90, 50));
  EXPECT_TRUE(first->IsVisible());
  EXPECT_FALSE(second->IsVisible()) << "a click on the first closes the second only";
}

TEST_F(cxCustomPopupWindowTest, AltKeysAreSuppressedWhileANonModalPopupIsOpen)
{
  TCustomPopupTestPopup* popup = NewPopup(FOwner, L"popup");
  popup->Popup(nullptr);
  const struct {
    WPARAM Key;
    bool Reaches;
  } cases[] = {{'A', false}, {VK_DOWN, true}, {VK_PRIOR, true}, {VK_RETURN, false}};
  for (const auto& c : cases) {
    FOwner->SysKeys.clear();
    PostMessageW(FOwner->GetHandle(), WM_SYSKEYDOWN, c.Key, 1 << 29);
    kvtest::PumpMessages();
    EXPECT_EQ(FOwner->SysKeys.size(), c.Reaches ? 1u : 0u) << c.Key;
  }
  popup->CloseUp();
  FOwner->SysKeys.clear();
  PostMessageW(FOwner->GetHandle(), WM_SYSKEYDOWN, 'A', 1 << 29);
  kvtest::PumpMessages();
  EXPECT_EQ(FOwner->SysKeys.size(), 1u) << "no popup, no suppression";
}

TEST_F(cxCustomPopupWindowTest, HidingTheOwnersFormClosesItsPopupsLaterFirst)
{
  TCustomPopupTestPopup* first = NewPopup(FOwner, L"first");
  TCustomPopupTestPopup* second = NewPopup(FOwner, L"second");
  first->Popup(nullptr);
  second->Popup(nullptr);
  ASSERT_TRUE(first->IsVisible() && second->IsVisible());
  FLog.Clear();
  ShowWindow(FForm->GetHandle(), SW_HIDE);
  kvtest::PumpMessages();
  EXPECT_FALSE(first->IsVisible());
  EXPECT_FALSE(second->IsVisible());
  FLog.Expect({L"second before closing", L"second closing", L"second closed", L"first before closing",
               L"first closing", L"first closed"});
}

TEST_F(cxCustomPopupWindowTest, SwitchingApplicationsClosesPopupsThatDoNotHoldTheActivation)
{
  TCustomPopupTestPopup* popup = NewPopup(FOwner, L"popup");
  popup->Popup(nullptr);
  SendMessageW(FForm->GetHandle(), WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_FALSE(popup->IsVisible());
}

TEST_F(cxCustomPopupWindowTest, ChangingCaptureFocusReopensWithTheSameFocusedControl)
{
  TCustomPopupTestPopup* popup = NewPopup(FOwner, L"popup");
  popup->SetModalMode(false);
  auto* edit = rtl::New<TCustomPopupTestPanel>(popup);
  edit->SetBounds(0, 0, 50, 20);
  edit->SetTabStop(true);
  edit->SetParent(popup);
  popup->Popup(edit);
  ASSERT_TRUE(popup->IsVisible());
  FLog.Clear();
  popup->SetCaptureFocus(true);
  EXPECT_TRUE(popup->IsVisible());
  EXPECT_EQ(popup->GetFocusedControl(), edit);
  FLog.Expect({L"popup before closing", L"popup closing", L"popup closed", L"popup showing", L"popup showed"});
  popup->CloseUp();
}

// The guard of the modal case: should the loop not end, this ends it, and
// the case fails on the log instead of hanging.
void CALLBACK CustomPopupTestGuard(HWND, UINT, UINT_PTR AId, DWORD) noexcept
{
  rtl::GuardCallback(0, [&] {
    KillTimer(nullptr, AId);
    TcxPopupVisibleController* list = cxPopupVisibleController();
    while (list && list->IsAnyVisible())
      list->Items(list->Count() - 1)->CloseUp();
    return 0;
  });
}

TEST_F(cxCustomPopupWindowTest, TheLocalLoopEndsOnAPostedMessage)
{
  struct {
    const char* Name;
    bool SetModalResult;
  } const cases[] = {{"closed later by its private message", false}, {"ended by a modal result", true}};
  for (const auto& c : cases) {
    TCustomPopupTestPopup* popup = NewPopup(FOwner, L"popup");
    popup->SetCaptureFocus(true);
    popup->SetModalMode(true);
    popup->HandleNeeded();
    FLog.Clear();
    FOwner->ModalTarget = popup;
    if (c.SetModalResult)
      PostMessageW(FOwner->GetHandle(), WM_APP, 0, 0);
    else
      popup->ClosePopup();
    const UINT_PTR guard = SetTimer(nullptr, 0, kvtest::GuardTimeout, &CustomPopupTestGuard);
    popup->Popup(nullptr);
    KillTimer(nullptr, guard);
    EXPECT_FALSE(popup->IsVisible()) << c.Name;
    FLog.Expect({L"popup showing", L"popup showed", L"popup before closing", L"popup closing", L"popup closed"},
                c.Name);
  }
}

}  // namespace
