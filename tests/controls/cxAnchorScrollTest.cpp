#include "controls/cxAnchorScroll.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "controls/cxControls.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "platform/vcl/GraphicsHandles.h"
#include "tests/controls/ControlsTestSupport.h"
#include "tests/support/TestHost.h"

using enum TcxDirection;
using enum TcxAnchorScrollAction;

namespace {

constexpr int AnchorSize = 29;
// A tick of the test's clock: a thread message the test posts.
constexpr UINT AnchorTestTick = WM_APP + 0x31;
// Asks the anchor test control to look at the running mode.
constexpr UINT AnchorTestProbe = WM_APP + 0x32;

class TAnchorTestClock : public TcxAnchorScrollClock {
 public:
  void Start() override { ++Starts; }
  void Stop() override { ++Stops; }
  bool IsTick(const MSG& AMessage) const override
  {
    return AMessage.hwnd == nullptr && AMessage.message == AnchorTestTick;
  }
  int Starts = 0;
  int Stops = 0;
};

// The anchor window of a control's window: a STATIC popup, owned (as
// popups of child windows are) by the control's top-level window.
HWND FindAnchorWindow(HWND AControl)
{
  const HWND owner = GetAncestor(AControl, GA_ROOT);
  for (HWND wnd = FindWindowExW(nullptr, nullptr, L"Static", nullptr); wnd;
       wnd = FindWindowExW(nullptr, wnd, L"Static", nullptr))
    if (GetWindow(wnd, GW_OWNER) == owner && IsWindowVisible(wnd))
      return wnd;
  return nullptr;
}

// ---------------------------------------------------------------------------
// The tracker

TEST(cxAnchorScrollTrackerTest, TheDistanceGivesDirectionSpeedAndCursor)
{
  struct TCase {
    bool Horz;
    bool Vert;
    TPoint Offset;
    TcxDirection Direction;
    int Speed;
    vcl::TCursor Cursor;
  };
  const TCase cases[] = {
      // 40 below the anchor: (40 - 14) div 5 + 1.
      {false, true, {0, 40}, dirDown, 6, crcxDownScroll},
      {false, true, {300, 0}, dirNone, 0, crcxVerScroll},
      {false, true, {300, 2}, dirNone, 0, crcxVerScroll},
      {false, true, {300, -20}, dirUp, 2, crcxUpScroll},
      {true, false, {0, -300}, dirNone, 0, crcxHorScroll},
      {true, false, {-30, 200}, dirLeft, 4, crcxLeftScroll},
      {true, true, {14, -14}, dirNone, 0, crcxFullScroll},
      {true, true, {15, 0}, dirRight, 1, crcxRightScroll},
      {true, true, {0, -15}, dirUp, 1, crcxUpScroll},
      {true, true, {20, -20}, dirUp, 2, crcxUpScroll},
      {true, true, {21, -20}, dirRight, 2, crcxRightScroll},
      {true, true, {0, 500}, dirDown, cxAnchorScrollMaxSpeed, crcxDownScroll},
  };
  const TPoint anchor{500, 400};
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "offset (" << c.Offset.x << ", " << c.Offset.y << "), horz " << c.Horz
                                    << ", vert " << c.Vert);
    TcxAnchorScrollTracker tracker(anchor, AnchorSize, c.Horz, c.Vert);
    tracker.MouseMove(TPoint{anchor.x + c.Offset.x, anchor.y + c.Offset.y});
    EXPECT_EQ(tracker.GetDirection(), c.Direction);
    EXPECT_EQ(tracker.GetSpeed(), c.Speed);
    EXPECT_EQ(tracker.GetCursor(), c.Cursor);
    EXPECT_EQ(tracker.GetLeftNeutralZone(), c.Direction != dirNone);
  }
}

TEST(cxAnchorScrollTrackerTest, TheSpeedSetsHowManyTicksMakeAStep)
{
  struct TCase {
    int Distance;  // below the anchor
    int Ticks;
    std::vector<int> Steps;  // the ticks that step
  };
  const TCase cases[] = {
      {0, 24, {12, 24}},        // the starting speed 1
      {40, 14, {7, 14}},        // speed 6
      {500, 3, {1, 2, 3}},      // speed 12
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Distance);
    TcxAnchorScrollTracker tracker(TPoint{0, 0}, AnchorSize, true, true);
    if (c.Distance != 0)
      tracker.MouseMove(TPoint{0, c.Distance});
    std::vector<int> steps;
    for (int tick = 1; tick <= c.Ticks; ++tick)
      if (tracker.Tick())
        steps.push_back(tick);
    EXPECT_EQ(steps, c.Steps);
  }
}

TEST(cxAnchorScrollTrackerTest, MessagesDispatchOrEndTheMode)
{
  struct TCase {
    const char* Name;
    UINT Message;
    WPARAM WParam;
    bool LeftZoneBefore;
    TcxAnchorScrollAction Action;
  };
  const TCase cases[] = {
      {"Esc down", WM_KEYDOWN, VK_ESCAPE, false, DispatchAndEnd},
      {"Esc up", WM_KEYUP, VK_ESCAPE, false, DispatchAndEnd},
      {"another key", WM_KEYDOWN, 'A', false, Dispatch},
      {"middle release without dragging", WM_MBUTTONUP, 0, false, Dispatch},
      {"middle release after dragging", WM_MBUTTONUP, 0, true, DispatchAndEnd},
      {"left press", WM_LBUTTONDOWN, 0, false, End},
      {"right release", WM_RBUTTONUP, 0, true, End},
      {"middle press", WM_MBUTTONDOWN, 0, false, End},
      {"wheel", WM_MOUSEWHEEL, 0, false, End},
      {"horizontal wheel", WM_MOUSEHWHEEL, 0, false, End},
      {"paint", WM_PAINT, 0, false, Dispatch},
      {"mouse move", WM_MOUSEMOVE, 0, false, Consume},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TcxAnchorScrollTracker tracker(TPoint{0, 0}, AnchorSize, true, true);
    if (c.LeftZoneBefore)
      tracker.MouseMove(TPoint{0, 100});
    MSG msg{};
    msg.message = c.Message;
    msg.wParam = c.WParam;
    EXPECT_EQ(tracker.Classify(msg, TPoint{0, 0}), c.Action);
  }
}

// ---------------------------------------------------------------------------
// The mode on a real window, stepped by the test's clock

class TAnchorTestControl : public TcxControl {
  RTL_CLASS(TAnchorTestControl, TcxControl)

 public:
  void Step(TcxDirection ADirection)
  {
    Steps.push_back(ADirection);
    const HWND anchor = FindAnchorWindow(GetHandle());
    AnchorSeen = anchor != nullptr && IsWindowVisible(anchor);
    if (anchor) {
      RECT r{};
      GetWindowRect(anchor, &r);
      AnchorWindowSize = TSize{r.right - r.left, r.bottom - r.top};
      RECT box{};
      AnchorRegionType = GetWindowRgnBox(anchor, &box);
      AnchorTopmost = (GetWindowLongW(anchor, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    }
    ScrollingDuringStep = Scrolling;
    if (OnStep)
      OnStep(this);
  }

  std::vector<TcxDirection> Steps;
  bool Scrolling = false;
  bool ScrollingDuringStep = false;
  bool AnchorSeen = false;
  bool AnchorTopmost = false;
  int AnchorRegionType = ERROR;
  TSize AnchorWindowSize{0, 0};
  int LeftDowns = 0;
  int Probes = 0;
  void (*OnStep)(TAnchorTestControl*) = nullptr;

 protected:
  void WndProc(rtl::TMessage& AMessage) override
  {
    if (AMessage.Msg == WM_LBUTTONDOWN)
      ++LeftDowns;
    if (AMessage.Msg == AnchorTestProbe) {
      // Dispatched from inside the mode's loop.
      if (FindAnchorWindow(GetHandle()) && GetCapture() == GetHandle())
        ++Probes;
      return;
    }
    inherited::WndProc(AMessage);
  }
};

class cxAnchorScrollTest : public kvtest::THostedTest {
 protected:
  void SetUp() override
  {
    THostedTest::SetUp();
    kvtest::PumpMessages();
    FControl = AddChild<TAnchorTestControl>(TRect{20, 20, 220, 170});
    FControl->HandleNeeded();
    GetCursorPos(&FAnchor);
  }
  void TearDown() override
  {
    ReleaseCapture();
    THostedTest::TearDown();
  }

  // A mouse move of the control's window to the screen point anchor + AOffset.
  void PostMove(int DX, int DY)
  {
    POINT p{FAnchor.x + DX, FAnchor.y + DY};
    ScreenToClient(FControl->GetHandle(), &p);
    PostMessageW(FControl->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
  }
  void PostTicks(int ACount)
  {
    for (int i = 0; i < ACount; ++i)
      PostThreadMessageW(GetCurrentThreadId(), AnchorTestTick, 0, 0);
  }
  void Post(UINT AMsg, WPARAM AWParam = 0) { PostMessageW(FControl->GetHandle(), AMsg, AWParam, 0); }
  void Run(bool AHorz, bool AVert)
  {
    cxAnchorScroll(FControl, AHorz, AVert, FControl->Scrolling,
                   TcxAnchorScrollStep::Bind<&TAnchorTestControl::Step>(FControl), FClock);
  }

  TAnchorTestControl* FControl = nullptr;
  TAnchorTestClock FClock;
  POINT FAnchor{};
};

TEST_F(cxAnchorScrollTest, DraggingBelowScrollsDownUntilEsc)
{
  PostMove(0, 40);
  PostTicks(14);
  Post(WM_KEYDOWN, VK_ESCAPE);
  Run(false, true);
  EXPECT_EQ(FControl->Steps, (std::vector<TcxDirection>{dirDown, dirDown}));
  EXPECT_TRUE(FControl->ScrollingDuringStep);
  EXPECT_TRUE(FControl->AnchorSeen);
  EXPECT_TRUE(FControl->AnchorTopmost);
  EXPECT_EQ(FControl->AnchorWindowSize, (TSize{AnchorSize, AnchorSize}));
  EXPECT_EQ(FControl->AnchorRegionType, COMPLEXREGION) << "cut to an ellipse";
  EXPECT_FALSE(FControl->Scrolling);
  EXPECT_EQ(FindAnchorWindow(FControl->GetHandle()), nullptr);
  EXPECT_NE(GetCapture(), FControl->GetHandle());
  EXPECT_EQ((TPoint{FClock.Starts, FClock.Stops}), (TPoint{1, 1}));
}

TEST_F(cxAnchorScrollTest, SidewaysMovementNeverScrollsAVerticalOnlyControl)
{
  PostMove(200, 3);
  PostTicks(24);
  Post(WM_KEYDOWN, VK_ESCAPE);
  Run(false, true);
  // Inside the zone the speed is 0: a step every thirteenth tick, with no
  // direction.
  EXPECT_EQ(FControl->Steps, (std::vector<TcxDirection>{dirNone}));
}

TEST_F(cxAnchorScrollTest, AMiddleClickKeepsTheModeAndTheNextClickEndsItUnseen)
{
  Post(WM_MBUTTONUP);
  PostTicks(12);
  Post(WM_LBUTTONDOWN);
  Post(AnchorTestProbe);
  Run(true, true);
  EXPECT_EQ(FControl->Steps.size(), 1U) << "the mode ran on after the middle release";
  EXPECT_EQ(FControl->LeftDowns, 0) << "the click that ends the mode is not delivered";
  EXPECT_EQ(FControl->Probes, 0) << "the mode ended at the click";
  kvtest::PumpMessages();
}

TEST_F(cxAnchorScrollTest, OtherMessagesAreDispatchedWhileTheModeRuns)
{
  Post(AnchorTestProbe);
  Post(WM_KEYUP, VK_ESCAPE);
  Run(true, false);
  EXPECT_EQ(FControl->Probes, 1);
}

TEST_F(cxAnchorScrollTest, LosingTheCaptureEndsTheMode)
{
  FControl->OnStep = [](TAnchorTestControl*) { ReleaseCapture(); };
  PostMove(0, 500);
  PostTicks(3);
  Post(AnchorTestProbe);
  Run(true, true);
  EXPECT_EQ(FControl->Steps.size(), 1U);
  EXPECT_FALSE(FControl->Scrolling);
  kvtest::PumpMessages();
  EXPECT_EQ(FControl->Probes, 0) << "the probe arrived after the mode";
}

TEST_F(cxAnchorScrollTest, QuitEndsTheModeAndIsPostedAgain)
{
  PostQuitMessage(7);
  Run(true, true);
  EXPECT_FALSE(FControl->Scrolling);
  MSG msg{};
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7U);
}

TEST_F(cxAnchorScrollTest, NothingRunsWhenNoDirectionMayScroll)
{
  Post(AnchorTestProbe);
  Run(false, false);
  EXPECT_EQ(FClock.Starts, 0);
  EXPECT_NE(GetCapture(), FControl->GetHandle());
  kvtest::PumpMessages();
  EXPECT_EQ(FControl->Probes, 0);
}

TEST_F(cxAnchorScrollTest, AStepThatFreesTheControlEndsTheMode)
{
  FControl->OnStep = [](TAnchorTestControl* AControl) { rtl::Free(AControl); };
  PostMove(0, 500);
  PostTicks(3);
  Run(true, true);
  FControl = nullptr;
  EXPECT_EQ(GetCapture(), nullptr);
  kvtest::PumpMessages();
}

// The picture the mode shows, copied from its window.
TEST_F(cxAnchorScrollTest, RendersTheAnchorPicture)
{
  struct TRender {
    static void Copy(TAnchorTestControl* AControl)
    {
      const HWND anchor = FindAnchorWindow(AControl->GetHandle());
      if (!anchor)
        return;
      rtl::TOwnedPtr<TcxBitmap> bitmap(
          rtl::NewWith<TcxBitmap>([](TcxBitmap* B) { B->CreateSize(AnchorSize, AnchorSize); }));
      vcl::TWindowDC dc(anchor);
      BitBlt(bitmap->GetCanvas()->GetHandle(), 0, 0, AnchorSize, AnchorSize, dc.Get(), 0, 0, SRCCOPY);
      const rtl::TOwnedPtr<TdxPNGImage> png(rtl::New<TdxPNGImage>());
      png->LoadFromBitmap(bitmap.get());
      if (const char* folder = std::getenv("KV_RENDER_DIR"))
        png->SaveToFile(std::wstring(folder, folder + std::strlen(folder)) + L"\\AnchorScroll.png");
    }
  };
  FControl->OnStep = &TRender::Copy;
  PostTicks(12);
  Post(WM_KEYDOWN, VK_ESCAPE);
  Run(true, true);
  EXPECT_EQ(FControl->Steps.size(), 1U);
}

class TAnchorScrollingTestControl : public TcxControl {
  RTL_CLASS(TAnchorScrollingTestControl, TcxControl)

 public:
  using TcxControl::UpdateScrollBars;
  int Probes = 0;

 protected:
  void InitScrollBarsParameters() override
  {
    SetScrollBarInfo(TScrollBarKind::sbVertical, 0, 999, 10, 100, 0, true, true);
  }
  void WndProc(rtl::TMessage& AMessage) override
  {
    if (AMessage.Msg == AnchorTestProbe) {
      if (FindAnchorWindow(GetHandle()) && GetCapture() == GetHandle())
        ++Probes;
      return;
    }
    inherited::WndProc(AMessage);
  }
};

TEST_F(cxAnchorScrollTest, AMiddlePressOnAScrollableControlStartsTheMode)
{
  auto* control = AddChild<TAnchorScrollingTestControl>(TRect{230, 20, 380, 170});
  control->HandleNeeded();
  control->UpdateScrollBars();
  ASSERT_TRUE(control->IsVScrollBarVisible());
  PostMessageW(control->GetHandle(), AnchorTestProbe, 0, 0);
  PostMessageW(control->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
  control->Perform(WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(20, 20));
  EXPECT_EQ(control->Probes, 1);
  EXPECT_NE(GetCapture(), control->GetHandle());
}

}  // namespace
