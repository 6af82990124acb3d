#include "controls/cxMouseTracking.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "controls/cxControls.h"
#include "controls/cxWindowUtils.h"
#include "tests/controls/ControlsTestSupport.h"
#include "tests/support/TestHost.h"

namespace {

// The control's own mouse tracking sends CM_MOUSELEAVE too when the real
// cursor leaves it; the one the tracker sends comes right before the
// caller's MouseLeave, so both go to one log.
kvtest::TSequenceLog* TrackingTestLog = nullptr;

// A panel that logs CM_MOUSELEAVE.
class TTrackingTestPanel : public kvtest::TTestPanel {
  RTL_CLASS(TTrackingTestPanel, kvtest::TTestPanel)
  RTL_MESSAGES(RTL_MESSAGE(rtl::CM_MOUSELEAVE, CMMouseLeave))

 private:
  void CMMouseLeave(rtl::TMessage& AMessage)
  {
    if (TrackingTestLog)
      TrackingTestLog->Add(L"CM_MOUSELEAVE");
    rtl::InheritedMessage(this, AMessage);
  }
};

// Only the first interface: its area is the tracked bounds.
class TTrackingTestCaller : public TcxIUnknownObject, public IcxMouseTrackingCaller {
  RTL_CLASS(TTrackingTestCaller, TcxIUnknownObject)
  RTL_INTERFACES(IcxMouseTrackingCaller)

 public:
  void __stdcall MouseLeave() override
  {
    ++Leaves;
    if (TrackingTestLog)
      TrackingTestLog->Add(L"MouseLeave");
  }
  int Leaves;
};

// Decides about its area itself and may keep tracking.
class TTrackingTestCaller3 : public TcxIUnknownObject, public IcxMouseTrackingCaller3 {
  RTL_CLASS(TTrackingTestCaller3, TcxIUnknownObject)
  RTL_INTERFACES(IcxMouseTrackingCaller, IcxMouseTrackingCaller2, IcxMouseTrackingCaller3)

 public:
  void __stdcall MouseLeave() override { ++Leaves; }
  bool __stdcall PtInCaller(const TPoint& P) override { return PtInRect(&Area, P) != FALSE; }
  bool __stdcall KeepTracking() override { return Keep; }
  int Leaves;
  TRect Area;
  bool Keep;
};

class cxMouseTrackingTest : public kvtest::THostedTest {
 protected:
  void SetUp() override
  {
    THostedTest::SetUp();
    FPanel = AddChild<TTrackingTestPanel>({20, 20, 220, 220});
    FPanel->HandleNeeded();
    kvtest::PumpMessages();
    TrackingTestLog = &FLog;
  }
  void TearDown() override
  {
    TrackingTestLog = nullptr;
    cxEndMouseTracking(&*FCaller);
    cxEndMouseTracking(&*FCaller3);
    THostedTest::TearDown();
  }

  // The tracker's CM_MOUSELEAVE comes right before the caller's MouseLeave.
  bool MouseLeaveSentByTracker() const
  {
    const auto& entries = FLog.Entries();
    const auto leave = std::find(entries.begin(), entries.end(), L"MouseLeave");
    return leave != entries.end() && leave != entries.begin() && *(leave - 1) == L"CM_MOUSELEAVE";
  }

  // Puts the cursor at a client point of the panel.
  void MoveCursorTo(const TPoint& AClientPoint)
  {
    const TPoint P = FPanel->ClientToScreen(AClientPoint);
    SetCursorPos(P.x, P.y);
  }
  bool WaitUntilNotTracking(IcxMouseTrackingCaller* ACaller)
  {
    return kvtest::PumpUntil([&] { return !cxIsMouseTracking(ACaller); });
  }
  // Lets the 10 ms timer tick a good number of times.
  void LetTimersTick()
  {
    const DWORD start = GetTickCount();
    kvtest::PumpUntil([&] { return GetTickCount() - start >= 150; });
  }

  TTrackingTestPanel* FPanel = nullptr;
  kvtest::TSequenceLog FLog;
  rtl::TOwnedPtr<TTrackingTestCaller> FCaller{rtl::New<TTrackingTestCaller>()};
  rtl::TOwnedPtr<TTrackingTestCaller3> FCaller3{rtl::New<TTrackingTestCaller3>()};
};

TEST_F(cxMouseTrackingTest, TellsTheCallerOnceWhenTheCursorLeavesItsBounds)
{
  MoveCursorTo({10, 10});
  cxBeginMouseTracking(FPanel, {0, 0, 50, 50}, FCaller.get());
  cxBeginMouseTracking(FPanel, {0, 0, 200, 200}, FCaller.get());
  ASSERT_TRUE(cxIsMouseTracking(FCaller.get()));
  EXPECT_EQ(cxFindMouseTrackingTimer(FCaller.get())->Bounds, FPanel->ClientToScreen(TRect{0, 0, 50, 50}))
      << "the second begin keeps the first bounds";
  LetTimersTick();
  EXPECT_EQ(FCaller->Leaves, 0);

  MoveCursorTo({100, 100});
  ASSERT_TRUE(WaitUntilNotTracking(FCaller.get()));
  EXPECT_EQ(FCaller->Leaves, 1);
  EXPECT_FALSE(MouseLeaveSentByTracker()) << "still inside the control's client area";

  FLog.Clear();
  cxBeginMouseTracking(FPanel, {0, 0, 50, 50}, FCaller.get());
  MoveCursorTo({300, 100});
  ASSERT_TRUE(WaitUntilNotTracking(FCaller.get()));
  EXPECT_EQ(FCaller->Leaves, 2);
  EXPECT_TRUE(MouseLeaveSentByTracker()) << "outside the control: CM_MOUSELEAVE";
}

TEST_F(cxMouseTrackingTest, ACallerThatKeepsTrackingHearsNothingUntilItLetsGo)
{
  FCaller3->Area = {0, 0, 50, 50};
  FCaller3->Keep = true;
  MoveCursorTo({10, 10});
  cxBeginMouseTracking(FPanel, {0, 0, 0, 0}, FCaller3.get());
  MoveCursorTo({350, 250});
  LetTimersTick();
  EXPECT_TRUE(cxIsMouseTracking(FCaller3.get()));
  EXPECT_EQ(FCaller3->Leaves, 0);
  FCaller3->Keep = false;
  ASSERT_TRUE(WaitUntilNotTracking(FCaller3.get()));
  EXPECT_EQ(FCaller3->Leaves, 1);
}

TEST_F(cxMouseTrackingTest, AWindowOverTheAreaEndsTrackingUnlessTheControlHasTheCapture)
{
  const TPoint over = FPanel->ClientToScreen(TPoint{100, 100});
  const HWND cover = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"BUTTON", L"", WS_POPUP, over.x - 20,
                                     over.y - 20, 40, 40, nullptr, nullptr, nullptr, nullptr);
  MoveCursorTo({10, 10});
  cxBeginMouseTracking(FPanel, {0, 0, 200, 200}, FCaller.get());
  SetCapture(FPanel->GetHandle());
  ShowWindow(cover, SW_SHOWNOACTIVATE);
  MoveCursorTo({100, 100});
  LetTimersTick();
  EXPECT_TRUE(cxIsMouseTracking(FCaller.get())) << "the capture keeps it";
  ReleaseCapture();
  ASSERT_TRUE(WaitUntilNotTracking(FCaller.get()));
  EXPECT_EQ(FCaller->Leaves, 1);
  DestroyWindow(cover);
}

TEST_F(cxMouseTrackingTest, DisablingTheParentEndsTrackingWithAMouseLeave)
{
  MoveCursorTo({10, 10});
  cxBeginMouseTracking(FPanel, {0, 0, 200, 200}, FCaller.get());
  EnableWindow(FHost->GetHandle(), FALSE);
  ASSERT_TRUE(WaitUntilNotTracking(FCaller.get()));
  EnableWindow(FHost->GetHandle(), TRUE);
  EXPECT_EQ(FCaller->Leaves, 1);
  EXPECT_TRUE(MouseLeaveSentByTracker()) << "sent although the cursor is inside";
}

// cxDragDetect reads the queue: what the user would do is posted to it.
class cxDragDetectTest : public kvtest::THostedTest {};

TEST_F(cxDragDetectTest, AnswersByWhatEndsTheLoop)
{
  const HWND wnd = FHost->GetHandle();
  const int threshold = vcl::Mouse()->GetDragThreshold();
  const TPoint start = cxClientToScreenPoint(wnd, {100, 100});
  struct {
    UINT Msg;
    WPARAM WParam;
    TPoint ClientPoint;
    TcxDragDetect Expected;
  } const cases[] = {
      {WM_KEYDOWN, VK_ESCAPE, {}, TcxDragDetect::ddCancel},
      {WM_LBUTTONUP, 0, {100, 100}, TcxDragDetect::ddNone},
      {WM_MOUSEMOVE, MK_LBUTTON, {100 + threshold - 1, 100}, TcxDragDetect::ddNone},
      {WM_MOUSEMOVE, MK_LBUTTON, {100 + threshold + 1, 100}, TcxDragDetect::ddDrag},
  };
  for (const auto& c : cases) {
    kvtest::PumpMessages();
    PostMessageW(wnd, c.Msg, c.WParam, MAKELPARAM(c.ClientPoint.x, c.ClientPoint.y));
    // A move inside the square does not end the loop: a release does.
    if (c.Msg == WM_MOUSEMOVE && c.Expected == TcxDragDetect::ddNone)
      PostMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(c.ClientPoint.x, c.ClientPoint.y));
    EXPECT_EQ(cxDragDetect(wnd, start), c.Expected) << c.Msg;
    EXPECT_NE(GetCapture(), wnd) << "the capture is given back";
  }
}

}  // namespace
