#include <gtest/gtest.h>

#include <vector>

#include "controls/cxControls.h"
#include "controls/dxTouchScrollUI.h"
#include "tests/controls/ControlsTestSupport.h"
#include "tests/support/TestHost.h"

namespace {

// An owner whose bars are a flag: shown while the manager shows its UI.
class TTouchTestControl : public TcxControl {
  RTL_CLASS(TTouchTestControl, TcxControl)

 public:
  bool BarsShown = false;
  int Hides = 0;
  // The right 20 pixels stand for the bars.
  bool IsPointOnScrollBars(const TPoint& P) override { return P.x >= GetWidth() - 20; }
  void ScrollUIStateChanged() override { BarsShown = !TdxTouchScrollUIModeManager::IsScrollUIHidden(this); }
  bool HasVisibleScrollUI() override { return BarsShown; }
  void DoHideScrollUI() override
  {
    ++Hides;
    BarsShown = false;
  }
};

class TTouchClockScope {
 public:
  TTouchClockScope() { TdxScrollUIClock::Install(); }
  TTouchClockScope(const TTouchClockScope&) = delete;
  TTouchClockScope& operator=(const TTouchClockScope&) = delete;
  ~TTouchClockScope() { TdxScrollUIClock::Uninstall(); }
};

enum class TTouchEvent {
  ShowA,        // activity of A: shown for a second
  HoldA,        // A shows until released
  ReleaseA,
  ShowB,
  PressBarA,    // left button down on a bar of A
  ReleaseBarA,  // and up again
  CancelBarA,   // A's bar loses the capture
  AppDeactivated,
  Advance,
};

// Active: 'A', 'B' or '-'.
struct TTouchState {
  char Active;
  bool Shown;
  int ShowCount;
  bool PressLock;
  bool HideTimer;
  bool BarsA;
  bool BarsB;
};

struct TTouchStep {
  TTouchEvent Event;
  unsigned Milliseconds;
  TTouchState Expected;
};

struct TTouchScenario {
  const char* Name;
  std::vector<TTouchStep> Steps;
};

using enum TTouchEvent;

class dxTouchScrollUIModeManagerTest : public kvtest::THostedTest {
 protected:
  void SetUp() override
  {
    THostedTest::SetUp();
    FA = AddChild<TTouchTestControl>(TRect{0, 0, 200, 150});
    FB = AddChild<TTouchTestControl>(TRect{200, 0, 400, 150});
    FA->HandleNeeded();
    FB->HandleNeeded();
  }

  void Bar(UINT AMsg, WPARAM AWParam = 0)
  {
    const rtl::TMessage message{AMsg, AWParam, 0, 0};
    TdxTouchScrollUIModeManager::ProcessBarMessage(FA, nullptr, nullptr, message);
  }

  void Run(TTouchEvent AEvent, unsigned AMilliseconds)
  {
    switch (AEvent) {
      case ShowA:
        TdxTouchScrollUIModeManager::ShowScrollUI(FA, true);
        break;
      case HoldA:
        TdxTouchScrollUIModeManager::ShowScrollUI(FA, false);
        break;
      case ReleaseA:
        TdxTouchScrollUIModeManager::HideScrollUI(FA, false);
        break;
      case ShowB:
        TdxTouchScrollUIModeManager::ShowScrollUI(FB, true);
        break;
      case PressBarA:
        Bar(WM_LBUTTONDOWN);
        break;
      case ReleaseBarA:
        Bar(WM_LBUTTONUP);
        break;
      case CancelBarA:
        Bar(WM_CAPTURECHANGED);
        break;
      case AppDeactivated:
        Bar(WM_ACTIVATEAPP, 0);
        break;
      case Advance:
        TdxScrollUIClock::Advance(AMilliseconds);
        break;
    }
  }

  char Active() const
  {
    const rtl::TObject* owner = TdxTouchScrollUIModeManager::GetActiveOwner();
    return owner == FA ? 'A' : owner == FB ? 'B' : '-';
  }

  void Check(const TTouchScenario& AScenario)
  {
    const TTouchClockScope clock;
    int index = 0;
    for (const TTouchStep& step : AScenario.Steps) {
      Run(step.Event, step.Milliseconds);
      SCOPED_TRACE(testing::Message() << AScenario.Name << ", step " << index++);
      const TTouchState& e = step.Expected;
      EXPECT_EQ(Active(), e.Active);
      EXPECT_EQ(TdxTouchScrollUIModeManager::GetShown(), e.Shown);
      EXPECT_EQ(TdxTouchScrollUIModeManager::GetShowCount(), e.ShowCount);
      EXPECT_EQ(TdxTouchScrollUIModeManager::GetPressLock(), e.PressLock);
      EXPECT_EQ(TdxTouchScrollUIModeManager::IsHideTimerActive(), e.HideTimer);
      EXPECT_EQ(FA->BarsShown, e.BarsA);
      EXPECT_EQ(FB->BarsShown, e.BarsB);
    }
  }

  TTouchTestControl* FA = nullptr;
  TTouchTestControl* FB = nullptr;
};

// Active, Shown, ShowCount, PressLock, HideTimer, BarsA, BarsB.
const TTouchScenario TouchScenarios[] = {
    {"activity shows the bars for a second",
     {{ShowA, 0, {'A', true, 0, false, true, true, false}},
      {Advance, 999, {'A', true, 0, false, true, true, false}},
      {ShowA, 0, {'A', true, 0, false, true, true, false}},
      {Advance, 999, {'A', true, 0, false, true, true, false}},
      {Advance, 1, {'A', false, 0, false, false, false, false}}}},
    {"a held request keeps them until released",
     {{HoldA, 0, {'A', true, 1, false, false, true, false}},
      {ShowA, 0, {'A', true, 1, false, false, true, false}},
      {Advance, 3000, {'A', true, 1, false, false, true, false}},
      {ReleaseA, 0, {'A', true, 0, false, true, true, false}},
      {ReleaseA, 0, {'A', true, 0, false, true, true, false}},
      {Advance, 1000, {'A', false, 0, false, false, false, false}}}},
    {"another control's activity hides the first at once",
     {{ShowA, 0, {'A', true, 0, false, true, true, false}},
      {ShowB, 0, {'B', true, 0, false, true, false, true}},
      {Advance, 1000, {'B', false, 0, false, false, false, false}}}},
    {"a button held on a bar keeps the bars and the owner",
     {{PressBarA, 0, {'A', true, 1, true, false, true, false}},
      {Advance, 3000, {'A', true, 1, true, false, true, false}},
      {ShowB, 0, {'A', true, 1, true, false, true, false}},
      {ReleaseBarA, 0, {'A', true, 1, false, false, true, false}},
      {ReleaseA, 0, {'A', true, 0, false, true, true, false}},
      {Advance, 1000, {'A', false, 0, false, false, false, false}}}},
    {"a bar losing the capture releases its request",
     {{HoldA, 0, {'A', true, 1, false, false, true, false}},
      {CancelBarA, 0, {'A', true, 0, false, true, true, false}}}},
    {"switching applications hides at once",
     {{PressBarA, 0, {'A', true, 1, true, false, true, false}},
      {AppDeactivated, 0, {'A', false, 0, false, false, false, false}}}},
};

TEST_F(dxTouchScrollUIModeManagerTest, RunsTheShowAndHideStateMachine)
{
  for (const TTouchScenario& scenario : TouchScenarios) {
    Check(scenario);
    TdxTouchScrollUIModeManager::Deactivate(FA);
    TdxTouchScrollUIModeManager::Deactivate(FB);
    FA->BarsShown = FB->BarsShown = false;
  }
}

TEST_F(dxTouchScrollUIModeManagerTest, IgnoresOwnersWithoutAVisibleWindow)
{
  FA->SetVisible(false);
  TdxTouchScrollUIModeManager::ShowScrollUI(FA, true);
  EXPECT_EQ(TdxTouchScrollUIModeManager::GetActiveOwner(), nullptr);
  EXPECT_TRUE(TdxTouchScrollUIModeManager::IsScrollUIHidden(FA));
}

TEST_F(dxTouchScrollUIModeManagerTest, AFreedOwnerIsForgotten)
{
  const TTouchClockScope clock;
  TdxTouchScrollUIModeManager::ShowScrollUI(FA, true);
  rtl::Free(FA);
  FA = nullptr;
  EXPECT_EQ(TdxTouchScrollUIModeManager::GetActiveOwner(), nullptr);
  EXPECT_FALSE(TdxTouchScrollUIModeManager::IsHideTimerActive());
  TdxScrollUIClock::Advance(2000);
}

TEST_F(dxTouchScrollUIModeManagerTest, HidingTheWindowAroundTheControlHidesAtOnce)
{
  TdxTouchScrollUIModeManager::ShowScrollUI(FA, false);
  ASSERT_TRUE(FA->BarsShown);
  EnableWindow(FHost->GetHandle(), FALSE);
  EXPECT_FALSE(FA->BarsShown);
  EXPECT_FALSE(TdxTouchScrollUIModeManager::GetShown());
  EnableWindow(FHost->GetHandle(), TRUE);
}

// Moves under 10 pixels on both axes are the hand resting on the mouse;
// the first move after entering only records where the mouse is.
TEST_F(dxTouchScrollUIModeManagerTest, ActivityIsAMoveOfTenPixelsOrAMoveOverTheBars)
{
  struct TCase {
    UINT Msg;
    int X;
    int Y;
    bool Activity;
  };
  const TCase cases[] = {
      {WM_MOUSEMOVE, 50, 50, false},  {WM_MOUSEMOVE, 55, 55, false}, {WM_MOUSEMOVE, 59, 41, false},
      {WM_MOUSEMOVE, 60, 50, true},   {WM_MOUSEMOVE, 60, 50, false}, {WM_MOUSEMOVE, 60, 60, true},
      {WM_LBUTTONDOWN, 90, 90, false}, {rtl::CM_MOUSELEAVE, 0, 0, false}, {WM_MOUSEMOVE, 100, 100, false},
      {WM_MOUSEMOVE, 100, 90, true},  {rtl::CM_MOUSELEAVE, 0, 0, false}, {WM_MOUSEMOVE, 190, 10, true},
  };
  const rtl::TOwnedPtr<TdxTouchScrollUIActivityHelper> helper(rtl::New<TdxTouchScrollUIActivityHelper>());
  int index = 0;
  for (const TCase& c : cases) {
    const rtl::TMessage message{c.Msg, 0, static_cast<LPARAM>(MAKELPARAM(c.X, c.Y)), 0};
    EXPECT_EQ(helper->CheckScrollActivity(FA, message), c.Activity) << "message " << index++;
  }
}

// A control in touch mode shows the UI on mouse activity in its window.
class TTouchModeControl : public TTouchTestControl {
  RTL_CLASS(TTouchModeControl, TTouchTestControl)

 protected:
  bool IsTouchScrollbarModeSupported() override { return true; }
};

TEST_F(dxTouchScrollUIModeManagerTest, AControlInTouchModeShowsTheUIOnActivity)
{
  const TTouchClockScope clock;
  auto* control = AddChild<TTouchModeControl>(TRect{0, 150, 200, 300});
  control->GetLookAndFeel()->SetScrollbarMode(TdxScrollbarMode::sbmTouch);
  control->HandleNeeded();
  ASSERT_EQ(control->GetScrollbarMode(), TdxScrollbarMode::sbmTouch);
  control->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
  EXPECT_FALSE(control->BarsShown) << "entering is no activity";
  control->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(20, 40));
  EXPECT_TRUE(control->BarsShown);
  EXPECT_FALSE(control->IsScrollUIHidden(nullptr));
  TdxScrollUIClock::Advance(1000);
  EXPECT_FALSE(control->BarsShown);
}

}  // namespace

namespace {

// The thumb keeps the middle third across the bar, a third (rounded toward
// zero) off each side.
TEST(cxPopupScrollBarPainterTest, NarrowsTheThumbToTheMiddleThird)
{
  struct TCase {
    TRect Thumb;
    TScrollBarKind Kind;
    TRect Expected;
  };
  const TCase cases[] = {
      {TRect{0, 10, 16, 60}, TScrollBarKind::sbVertical, TRect{5, 10, 11, 60}},
      {TRect{0, 10, 17, 60}, TScrollBarKind::sbVertical, TRect{5, 10, 12, 60}},
      {TRect{10, 0, 60, 16}, TScrollBarKind::sbHorizontal, TRect{10, 5, 60, 11}},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(TcxPopupScrollBarPainter::ThumbRect(c.Thumb, c.Kind), c.Expected);
}

}  // namespace
