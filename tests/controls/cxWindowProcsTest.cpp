#include "controls/cxWindowProcs.h"

#include <gtest/gtest.h>

#include <string>

#include "controls/cxControls.h"
#include "tests/support/TestHost.h"

namespace {

constexpr UINT WM_WNDPROCTEST = WM_APP + 17;

// A panel whose own handling of the test message is logged: "window".
class TWndProcTestPanel : public kvtest::TTestPanel {
  RTL_CLASS(TWndProcTestPanel, kvtest::TTestPanel)
  RTL_MESSAGES(RTL_MESSAGE(WM_WNDPROCTEST, WMWndProcTest))

 public:
  kvtest::TSequenceLog* Log;

 private:
  void WMWndProcTest(rtl::TMessage& AMessage)
  {
    if (Log)
      Log->Add(L"window");
    AMessage.Result = 42;
  }
};

// One hook: logs its name for the test message and passes it on unless told
// to swallow it; may remove a link (its own or another) before or after.
struct TWndProcTestHook {
  std::wstring Name;
  kvtest::TSequenceLog* Log = nullptr;
  TcxWindowProcController* Controller = nullptr;
  TcxWindowProcLinkedObject* Link = nullptr;
  bool Swallow = false;
  TcxWindowProcLinkedObject** RemoveBefore = nullptr;
  bool RemoveSelfAfter = false;

  void WndProc(rtl::TMessage& AMessage)
  {
    TcxWindowProcLinkedObject* link = Link;
    if (AMessage.Msg == WM_WNDPROCTEST)
      Log->Add(Name);
    if (AMessage.Msg == WM_WNDPROCTEST && RemoveBefore)
      Controller->Remove(*std::exchange(RemoveBefore, nullptr));
    if (!Swallow || AMessage.Msg != WM_WNDPROCTEST)
      link->DefaultProc(AMessage);
    if (AMessage.Msg == WM_WNDPROCTEST && RemoveSelfAfter) {
      RemoveSelfAfter = false;
      Controller->Remove(Link);
    }
  }

  rtl::TWndMethod Method() { return rtl::TWndMethod::Bind<&TWndProcTestHook::WndProc>(this); }
};

class cxWindowProcControllerTest : public kvtest::THostedTest {
 protected:
  void SetUp() override
  {
    THostedTest::SetUp();
    FPanel = AddChild<TWndProcTestPanel>({10, 10, 60, 60});
    FPanel->Log = &FLog;
    FPanel->HandleNeeded();
    FController.reset(rtl::New<TcxWindowProcController>());
  }
  void TearDown() override
  {
    FController.reset();
    THostedTest::TearDown();
  }

  TWndProcTestHook& Hook(TWndProcTestHook& AHook, const wchar_t* AName)
  {
    AHook.Name = AName;
    AHook.Log = &FLog;
    AHook.Controller = FController.get();
    return AHook;
  }
  void HookControl(TWndProcTestHook& AHook, const wchar_t* AName)
  {
    Hook(AHook, AName).Link = FController->Add(FPanel, AHook.Method());
  }
  void HookHandle(TWndProcTestHook& AHook, const wchar_t* AName)
  {
    Hook(AHook, AName).Link = FController->Add(FPanel->GetHandle(), AHook.Method());
  }
  // Through the control's WindowProc, as the framework delivers messages.
  void Perform() { FPanel->Perform(WM_WNDPROCTEST, 0, 0); }
  // Through the window itself.
  LRESULT Send() { return SendMessageW(FPanel->GetHandle(), WM_WNDPROCTEST, 0, 0); }

  TWndProcTestPanel* FPanel = nullptr;
  kvtest::TSequenceLog FLog;
  rtl::TOwnedPtr<TcxWindowProcController> FController;
};

TEST_F(cxWindowProcControllerTest, CallsTheNewestHookFirstAndEndsAtTheWindow)
{
  const rtl::TWndMethod original = FPanel->GetWindowProc();
  TWndProcTestHook a, b;
  HookControl(a, L"A");
  HookControl(b, L"B");
  EXPECT_EQ(FController->GetChainCount(), 1);
  Perform();
  FLog.Expect({L"B", L"A", L"window"}, "two hooks");

  FLog.Clear();
  FController->Remove(a.Link);
  EXPECT_EQ(a.Link, nullptr);
  Perform();
  FLog.Expect({L"B", L"window"}, "the older hook left first");

  FController->Remove(b.Link);
  EXPECT_EQ(FController->GetChainCount(), 0);
  EXPECT_TRUE(FPanel->GetWindowProc() == original) << "the last hook leaving restores WindowProc";
  FController->Remove(b.Link);  // the variable is nil now: nothing happens
  FLog.Clear();
  Perform();
  FLog.Expect({L"window"}, "no hooks");
}

TEST_F(cxWindowProcControllerTest, AHookThatDoesNotPassOnSwallowsTheMessage)
{
  TWndProcTestHook a, b;
  HookControl(a, L"A");
  HookControl(b, L"B");
  b.Swallow = true;
  Perform();
  FLog.Expect({L"B"});
}

TEST_F(cxWindowProcControllerTest, HooksMayLeaveWhileAMessagePassesThrough)
{
  const WNDPROC original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(FPanel->GetHandle(), GWLP_WNDPROC));
  TWndProcTestHook a, b, c;
  HookHandle(a, L"A");
  HookHandle(b, L"B");
  HookHandle(c, L"C");
  // C removes the middle hook B before passing on: C joins A.
  c.RemoveBefore = &b.Link;
  EXPECT_EQ(Send(), 42);
  FLog.Expect({L"C", L"A", L"window"}, "a middle link removed during the call");
  EXPECT_EQ(b.Link, nullptr);

  // The newest removes itself after passing on, then the last one does.
  FLog.Clear();
  c.RemoveSelfAfter = true;
  Send();
  FLog.Expect({L"C", L"A", L"window"}, "the newest leaving after its call");
  a.RemoveSelfAfter = true;
  FLog.Clear();
  EXPECT_EQ(Send(), 42);
  FLog.Expect({L"A", L"window"}, "the last hook leaving during its call");
  EXPECT_EQ(FController->GetChainCount(), 0);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(FPanel->GetHandle(), GWLP_WNDPROC)), original);
}

TEST_F(cxWindowProcControllerTest, AControlAndItsOwnWindowHaveChainsOfTheirOwn)
{
  TWndProcTestHook control, window;
  HookControl(control, L"control hook");
  HookHandle(window, L"window hook");
  EXPECT_EQ(FController->GetChainCount(), 2);
  Send();
  FLog.Expect({L"window hook", L"control hook", L"window"}, "the raw window's chain wraps the control's");
  FLog.Clear();
  Perform();
  FLog.Expect({L"control hook", L"window"}, "Perform does not pass through the window");
}

TEST_F(cxWindowProcControllerTest, FreeingTheControllerRestoresEveryWindow)
{
  const rtl::TWndMethod originalMethod = FPanel->GetWindowProc();
  const auto originalProc = GetWindowLongPtrW(FPanel->GetHandle(), GWLP_WNDPROC);
  TWndProcTestHook control, window;
  HookControl(control, L"control hook");
  HookHandle(window, L"window hook");
  EXPECT_EQ(FController->Add(static_cast<vcl::TControl*>(nullptr), control.Method()), nullptr);
  EXPECT_EQ(FController->Add(HWND(nullptr), control.Method()), nullptr);
  FController.reset();
  EXPECT_TRUE(FPanel->GetWindowProc() == originalMethod);
  EXPECT_EQ(GetWindowLongPtrW(FPanel->GetHandle(), GWLP_WNDPROC), originalProc);
  Send();
  FLog.Expect({L"window"});
}

LRESULT CALLBACK WndProcTestForeignProc(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam)
{
  static_cast<kvtest::TSequenceLog*>(GetPropW(AWnd, L"WndProcTestLog"))->Add(L"foreign");
  return CallWindowProcW(reinterpret_cast<WNDPROC>(GetPropW(AWnd, L"WndProcTestNext")), AWnd, AMsg, AWParam, ALParam);
}

TEST_F(cxWindowProcControllerTest, ASubclasserInstalledOverTheChainKeepsItsProcedure)
{
  const HWND wnd = FPanel->GetHandle();
  TWndProcTestHook hook;
  HookHandle(hook, L"hook");
  SetPropW(wnd, L"WndProcTestLog", &FLog);
  SetPropW(wnd, L"WndProcTestNext",
           reinterpret_cast<HANDLE>(SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WndProcTestForeignProc))));
  FController->Remove(hook.Link);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC)), &WndProcTestForeignProc);
  Send();
  FLog.Expect({L"foreign", L"window"}, "the chain's procedure forwards to the window's own");
  SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GetPropW(wnd, L"WndProcTestNext")));
  RemovePropW(wnd, L"WndProcTestLog");
  RemovePropW(wnd, L"WndProcTestNext");
}

TEST(cxWindowProcController, TheGetterAnswersOneControllerWhileTheFrameworkRuns)
{
  ASSERT_NE(cxGetWindowProcController(), nullptr);
  EXPECT_EQ(cxGetWindowProcController(), cxGetWindowProcController());
}

}  // namespace
