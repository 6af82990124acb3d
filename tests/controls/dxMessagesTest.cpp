#include "controls/dxMessages.h"

#include <gtest/gtest.h>

#include "controls/cxControls.h"
#include "core/dxCore.h"
#include "tests/support/TestSupport.h"

namespace {

constexpr UINT WM_MESSAGESTEST = WM_APP + 23;

// A plain window of the thread that counts the test messages it is given.
class dxMessagesControllerTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    FWnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(FWnd, nullptr);
    FOwnProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(FWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingWndProc)));
    SetPropW(FWnd, L"MessagesTestFixture", this);
    FController = cxGetMessagesController();
    ASSERT_NE(FController, nullptr);
  }
  void TearDown() override
  {
    kvtest::PumpMessages();
    DestroyWindow(FWnd);
  }

  static LRESULT CALLBACK CountingWndProc(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam)
  {
    auto* self = static_cast<dxMessagesControllerTest*>(GetPropW(AWnd, L"MessagesTestFixture"));
    if (AMsg == WM_MESSAGESTEST) {
      ++self->FReceived;
      return 7;
    }
    if (AMsg == WM_NCDESTROY)
      RemovePropW(AWnd, L"MessagesTestFixture");
    return CallWindowProcW(self->FOwnProc, AWnd, AMsg, AWParam, ALParam);
  }

  // Removes and counts the waiting messages of the window in the range.
  int Drain(UINT AMin, UINT AMax)
  {
    int count = 0;
    MSG msg{};
    while (PeekMessageW(&msg, FWnd, AMin, AMax, PM_REMOVE))
      ++count;
    return count;
  }

  HWND FWnd = nullptr;
  WNDPROC FOwnProc = nullptr;
  int FReceived = 0;
  TdxMessagesController* FController = nullptr;
};

TEST_F(dxMessagesControllerTest, KillMessagesRemovesTheFirstOrAllPendingMessages)
{
  struct {
    bool KillAll;
    int Left;
  } const cases[] = {{false, 2}, {true, 0}};
  for (const auto& c : cases) {
    for (int i = 0; i < 3; ++i)
      PostMessageW(FWnd, WM_MOUSEMOVE, 0, MAKELPARAM(i, i));
    PostMessageW(FWnd, WM_MESSAGESTEST, 0, 0);
    EXPECT_TRUE(FController->IsMessageInQueue(FWnd, WM_MOUSEMOVE));
    EXPECT_TRUE(FController->KillMessages(FWnd, WM_MOUSEMOVE, 0, c.KillAll));
    EXPECT_EQ(Drain(WM_MOUSEMOVE, WM_MOUSEMOVE), c.Left) << "kill all: " << c.KillAll;
    EXPECT_EQ(Drain(WM_MESSAGESTEST, WM_MESSAGESTEST), 1) << "a message outside the range stays";
  }
  EXPECT_FALSE(FController->KillMessages(FWnd, WM_MOUSEMOVE)) << "nothing to remove";
  EXPECT_FALSE(FController->IsMessageInQueue(FWnd, WM_MOUSEMOVE));
}

TEST_F(dxMessagesControllerTest, KillMessagesLeavesAQuitInTheQueue)
{
  PostQuitMessage(5);
  EXPECT_FALSE(FController->KillMessages(nullptr, WM_QUIT, WM_QUIT, true));
  MSG msg{};
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit was put back";
  EXPECT_EQ(msg.wParam, 5u);
}

TEST_F(dxMessagesControllerTest, LocksCountTheirDuplicates)
{
  FController->LockMessages({rtl::CM_ACTIVATE, rtl::CM_ACTIVATE, rtl::CM_DEACTIVATE});
  FController->UnlockMessages({rtl::CM_ACTIVATE, rtl::CM_DEACTIVATE, WM_MESSAGESTEST});
  EXPECT_TRUE(FController->IsMessageLocked(rtl::CM_ACTIVATE)) << "locked twice, unlocked once";
  EXPECT_FALSE(FController->IsMessageLocked(rtl::CM_DEACTIVATE));
  FController->UnlockMessages({rtl::CM_ACTIVATE});
  EXPECT_FALSE(FController->IsMessageLocked(rtl::CM_ACTIVATE));
}

TEST_F(dxMessagesControllerTest, ABlockedWindowSwallowsExactlyItsNextMessage)
{
  UINT message = WM_MESSAGESTEST;
  FController->BlockLockedMessage(FWnd, message);
  EXPECT_EQ(message, WM_MESSAGESTEST) << "not locked: no block";
  EXPECT_EQ(FController->GetBlockedWindow(), nullptr);

  FController->LockMessages({WM_MESSAGESTEST});
  FController->BlockLockedMessage(FWnd, message);
  FController->UnlockMessages({WM_MESSAGESTEST});
  EXPECT_EQ(message, 0u);
  EXPECT_THROW(FController->BlockMessage(FWnd), EdxException) << "one block at a time";

  EXPECT_EQ(SendMessageW(FWnd, WM_MESSAGESTEST, 0, 0), 1) << "swallowed, answered 1";
  EXPECT_EQ(FReceived, 0);
  EXPECT_EQ(SendMessageW(FWnd, WM_MESSAGESTEST, 0, 0), 7) << "the next reaches the window again";
  EXPECT_EQ(FReceived, 1);

  FController->BlockMessage(FWnd);
  EXPECT_EQ(FController->GetBlockedWindow(), FWnd) << "a new block after the first has ended";
  SendMessageW(FWnd, WM_MESSAGESTEST, 0, 0);
  EXPECT_EQ(FReceived, 1);
}

TEST_F(dxMessagesControllerTest, AControllerFreedWithABlockGivesTheWindowItsProcedureBack)
{
  const LONG_PTR ownProcedure = GetWindowLongPtrW(FWnd, GWLP_WNDPROC);
  rtl::TOwnedPtr<TdxMessagesController> controller(rtl::New<TdxMessagesController>());
  controller->BlockMessage(FWnd);
  EXPECT_NE(GetWindowLongPtrW(FWnd, GWLP_WNDPROC), ownProcedure);
  controller.reset();
  EXPECT_EQ(GetWindowLongPtrW(FWnd, GWLP_WNDPROC), ownProcedure);
  EXPECT_EQ(SendMessageW(FWnd, WM_MESSAGESTEST, 0, 0), 7);
}

}  // namespace
