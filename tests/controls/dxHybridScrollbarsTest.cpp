#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "controls/cxControls.h"
#include "controls/dxHybridScrollbars.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "tests/controls/ControlsTestSupport.h"
#include "tests/support/TestHost.h"

using TExpandState = TdxHybridScrollbarsManager::TExpandState;
using TFadingState = TdxHybridScrollbarsManager::TFadingState;

namespace {

// An owner whose bars are a flag: shown when the manager allows them.
class THybridTestControl : public TcxControl {
  RTL_CLASS(THybridTestControl, TcxControl)

 public:
  bool BarsShown = false;
  int Hides = 0;
  int Invalidations = 0;
  int StateChanges = 0;

  void ScrollUIStateChanged() override
  {
    ++StateChanges;
    BarsShown = GetHybridScrollbarsManager()->GetAllowVisible();
  }
  bool HasVisibleScrollUI() override { return BarsShown; }
  void DoHideScrollUI() override
  {
    ++Hides;
    BarsShown = false;
  }
  void InvalidateScrollBars() override { ++Invalidations; }
  vcl::TColor GetHybridScrollbarBaseColor() override { return vcl::TColor(0x000000); }
};

// The bars the manager expands: any two distinct objects serve.
class THybridTestBar : public rtl::TObject {
  RTL_CLASS(THybridTestBar, rtl::TObject)
};

// The scroll UI's delays and animations on the test's clock.
class THybridClockScope {
 public:
  THybridClockScope() { TdxScrollUIClock::Install(); }
  THybridClockScope(const THybridClockScope&) = delete;
  THybridClockScope& operator=(const THybridClockScope&) = delete;
  ~THybridClockScope() { TdxScrollUIClock::Uninstall(); }
};

enum class THybridEvent {
  ShowByTimer,
  ShowHeld,
  Release,
  HideAtOnce,
  Advance,
  EnterV,
  EnterH,
  Leave,
  OtherShows,
};

// The manager after a step. Expanded: '-' none, 'V' or 'H' the bar.
struct THybridState {
  bool Visible;
  int Fading;
  TFadingState FadingState;
  int Size;
  char Expanded;
  int Locks;
  bool HidingTimer;
  bool CollapsingTimer;
};

struct THybridStep {
  THybridEvent Event;
  unsigned Milliseconds;
  THybridState Expected;
};

struct THybridScenario {
  const char* Name;
  std::vector<THybridStep> Steps;
};

using enum THybridEvent;
constexpr TFadingState fNone = TFadingState::fstNone;
constexpr TFadingState fIn = TFadingState::fstShowing;
constexpr TFadingState fOut = TFadingState::fstHiding;

class dxHybridScrollbarsManagerTest : public kvtest::THostedTest {
 protected:
  void SetUp() override
  {
    THostedTest::SetUp();
    MakeControls();
    FBarV.reset(rtl::New<THybridTestBar>());
    FBarH.reset(rtl::New<THybridTestBar>());
  }

  // Fresh owners: a scenario may end with the mouse still over a bar.
  void MakeControls()
  {
    rtl::Free(std::exchange(FControl, nullptr));
    rtl::Free(std::exchange(FOther, nullptr));
    FControl = AddChild<THybridTestControl>(TRect{0, 0, 200, 150});
    FOther = AddChild<THybridTestControl>(TRect{200, 0, 400, 150});
    FControl->HandleNeeded();
    FOther->HandleNeeded();
  }

  TdxHybridScrollbarsManager* Manager() const { return FControl->GetHybridScrollbarsManager(); }

  void Run(THybridEvent AEvent, unsigned AMilliseconds)
  {
    switch (AEvent) {
      case ShowByTimer:
        Manager()->Show(true);
        break;
      case ShowHeld:
        Manager()->Show(false);
        break;
      case Release:
        Manager()->Hide(false, true);
        break;
      case HideAtOnce:
        Manager()->Hide(true, false);
        break;
      case Advance:
        TdxScrollUIClock::Advance(AMilliseconds);
        break;
      case EnterV:
        Manager()->MouseEnterScrollbar(FBarV.get());
        break;
      case EnterH:
        Manager()->MouseEnterScrollbar(FBarH.get());
        break;
      case Leave:
        Manager()->MouseLeaveScrollbar();
        break;
      case OtherShows:
        FOther->GetHybridScrollbarsManager()->Show(true);
        break;
    }
  }

  char ExpandedBar() const
  {
    const rtl::TObject* bar = Manager()->GetAnimateObject();
    return bar == FBarV.get() ? 'V' : bar == FBarH.get() ? 'H' : '-';
  }

  void Check(const THybridScenario& AScenario)
  {
    const THybridClockScope clock;
    int index = 0;
    for (const THybridStep& step : AScenario.Steps) {
      Run(step.Event, step.Milliseconds);
      SCOPED_TRACE(testing::Message() << AScenario.Name << ", step " << index++ << " at "
                                      << TdxScrollUIClock::Now() << " ms");
      const THybridState& e = step.Expected;
      TdxHybridScrollbarsManager* m = Manager();
      EXPECT_EQ(m->GetAllowVisible(), e.Visible);
      EXPECT_EQ(FControl->BarsShown, e.Visible);
      EXPECT_EQ(m->GetFadingValue(), e.Fading);
      EXPECT_EQ(m->GetFadingState(), e.FadingState);
      EXPECT_EQ(m->GetVisibleSize(), e.Size);
      EXPECT_EQ(ExpandedBar(), e.Expanded);
      EXPECT_EQ(m->GetHidingLockCount(), e.Locks);
      EXPECT_EQ(m->IsHidingTimerActive(), e.HidingTimer);
      EXPECT_EQ(m->IsCollapsingTimerActive(), e.CollapsingTimer);
    }
  }

  THybridTestControl* FControl = nullptr;
  THybridTestControl* FOther = nullptr;
  rtl::TOwnedPtr<THybridTestBar> FBarV;
  rtl::TOwnedPtr<THybridTestBar> FBarH;
};

// Visible, Fading, FadingState, Size, Expanded, Locks, HidingTimer, CollapsingTimer.
const THybridScenario HybridScenarios[] = {
    {"a timed show fades in for a second and hides a second later",
     {{ShowByTimer, 0, {true, 0, fIn, 0, '-', 0, false, false}},
      {Advance, 1000, {true, 255, fNone, 0, '-', 0, true, false}},
      {Advance, 999, {true, 255, fNone, 0, '-', 0, true, false}},
      {Advance, 1, {true, 255, fOut, 0, '-', 0, false, false}},
      {Advance, 999, {true, 1, fOut, 0, '-', 0, false, false}},
      {Advance, 1, {false, 0, fNone, 0, '-', 0, false, false}}}},
    {"activity within the second restarts the countdown",
     {{ShowByTimer, 0, {true, 0, fIn, 0, '-', 0, false, false}},
      {Advance, 1600, {true, 255, fNone, 0, '-', 0, true, false}},
      {ShowByTimer, 0, {true, 255, fNone, 0, '-', 0, true, false}},
      {Advance, 999, {true, 255, fNone, 0, '-', 0, true, false}},
      {Advance, 1, {true, 255, fOut, 0, '-', 0, false, false}}}},
    {"a held show stays until released, then counts down",
     {{ShowHeld, 0, {true, 0, fIn, 0, '-', 1, false, false}},
      {Advance, 5000, {true, 255, fNone, 0, '-', 1, false, false}},
      {Release, 0, {true, 255, fNone, 0, '-', 0, true, false}},
      {Advance, 1000, {true, 255, fOut, 0, '-', 0, false, false}}}},
    {"hiding at once needs no fade",
     {{ShowByTimer, 0, {true, 0, fIn, 0, '-', 0, false, false}},
      {Advance, 300, {true, 76, fIn, 0, '-', 0, false, false}},
      {HideAtOnce, 0, {false, 0, fNone, 0, '-', 0, false, false}},
      {Advance, 2000, {false, 0, fNone, 0, '-', 0, false, false}}}},
    {"the bar under the mouse widens in 100 ms and narrows 500 ms after it leaves",
     {{ShowByTimer, 0, {true, 0, fIn, 0, '-', 0, false, false}},
      {Advance, 1000, {true, 255, fNone, 0, '-', 0, true, false}},
      {EnterV, 0, {true, 255, fNone, 0, 'V', 1, false, false}},
      {Advance, 50, {true, 255, fNone, 50, 'V', 1, false, false}},
      {Advance, 50, {true, 255, fNone, 100, 'V', 1, false, false}},
      {Advance, 3000, {true, 255, fNone, 100, 'V', 1, false, false}},
      {Leave, 0, {true, 255, fNone, 100, 'V', 1, false, true}},
      {Advance, 499, {true, 255, fNone, 100, 'V', 1, false, true}},
      {Advance, 1, {true, 255, fNone, 100, 'V', 1, false, false}},
      {Advance, 100, {true, 255, fNone, 0, '-', 0, true, false}},
      {Advance, 1000, {true, 255, fOut, 0, '-', 0, false, false}}}},
    {"coming back within the 500 ms keeps the bar wide",
     {{ShowByTimer, 0, {true, 0, fIn, 0, '-', 0, false, false}},
      {EnterV, 0, {true, 0, fIn, 0, 'V', 1, false, false}},
      {Advance, 1000, {true, 255, fNone, 100, 'V', 1, false, false}},
      {Leave, 0, {true, 255, fNone, 100, 'V', 1, false, true}},
      {Advance, 300, {true, 255, fNone, 100, 'V', 1, false, true}},
      {EnterV, 0, {true, 255, fNone, 100, 'V', 1, false, false}},
      {Advance, 3000, {true, 255, fNone, 100, 'V', 1, false, false}}}},
    {"leaving while the bar still widens collapses it after the widening",
     {{ShowHeld, 0, {true, 0, fIn, 0, '-', 1, false, false}},
      {Advance, 1000, {true, 255, fNone, 0, '-', 1, false, false}},
      {EnterV, 0, {true, 255, fNone, 0, 'V', 2, false, false}},
      {Advance, 40, {true, 255, fNone, 40, 'V', 2, false, false}},
      {Leave, 0, {true, 255, fNone, 40, 'V', 2, false, false}},
      {Advance, 60, {true, 255, fNone, 100, 'V', 2, false, true}},
      {Advance, 600, {true, 255, fNone, 0, '-', 1, false, false}}}},
    {"moving straight to the other bar collapses the first at once",
     {{ShowByTimer, 0, {true, 0, fIn, 0, '-', 0, false, false}},
      {Advance, 1000, {true, 255, fNone, 0, '-', 0, true, false}},
      {EnterV, 0, {true, 255, fNone, 0, 'V', 1, false, false}},
      {Advance, 100, {true, 255, fNone, 100, 'V', 1, false, false}},
      {Leave, 0, {true, 255, fNone, 100, 'V', 1, false, true}},
      {EnterH, 0, {true, 255, fNone, 0, 'H', 1, false, false}},
      {Advance, 100, {true, 255, fNone, 100, 'H', 1, false, false}}}},
    {"another control's bars make these fade out",
     {{ShowByTimer, 0, {true, 0, fIn, 0, '-', 0, false, false}},
      {Advance, 1000, {true, 255, fNone, 0, '-', 0, true, false}},
      {OtherShows, 0, {true, 255, fOut, 0, '-', 0, false, false}},
      {Advance, 1000, {false, 0, fNone, 0, '-', 0, false, false}}}},
    {"another control taking over mid-fade-in fades these out from where they were",
     {{ShowByTimer, 0, {true, 0, fIn, 0, '-', 0, false, false}},
      {Advance, 200, {true, 51, fIn, 0, '-', 0, false, false}},
      {OtherShows, 0, {true, 51, fOut, 0, '-', 0, false, false}},
      {Advance, 199, {true, 1, fOut, 0, '-', 0, false, false}},
      {Advance, 1, {false, 0, fNone, 0, '-', 0, false, false}}}},
    {"a held owner keeps its bars when another takes over, then hides on release",
     {{ShowHeld, 0, {true, 0, fIn, 0, '-', 1, false, false}},
      {Advance, 1000, {true, 255, fNone, 0, '-', 1, false, false}},
      {OtherShows, 0, {true, 255, fNone, 0, '-', 1, false, false}},
      {Release, 0, {true, 255, fNone, 0, '-', 0, true, false}}}},
};

TEST_F(dxHybridScrollbarsManagerTest, RunsTheVisibilityAndExpansionStateMachine)
{
  for (const THybridScenario& scenario : HybridScenarios) {
    MakeControls();
    Check(scenario);
  }
}

// Round(distance / 255 x 1000) ms, whatever the starting opacity.
TEST_F(dxHybridScrollbarsManagerTest, AFadeLastsInProportionToTheWayLeft)
{
  const THybridClockScope clock;
  Manager()->Show(false);
  TdxScrollUIClock::Advance(502);
  const int start = Manager()->GetFadingValue();
  ASSERT_GT(start, 0);
  ASSERT_LT(start, 255);
  Manager()->Hide(true, true);
  const auto expected = static_cast<unsigned>(std::nearbyint(start / 255.0 * 1000));
  TdxScrollUIClock::Advance(expected - 1);
  EXPECT_TRUE(Manager()->GetAllowVisible());
  TdxScrollUIClock::Advance(1);
  EXPECT_FALSE(Manager()->GetAllowVisible()) << "a fade from " << start << " lasts " << expected << " ms";
}

TEST_F(dxHybridScrollbarsManagerTest, OnlyTheLastShownOwnerIsActive)
{
  const THybridClockScope clock;
  Manager()->Show(true);
  EXPECT_TRUE(TdxHybridScrollbarManagers::IsActive(Manager()));
  FOther->GetHybridScrollbarsManager()->Show(true);
  EXPECT_TRUE(TdxHybridScrollbarManagers::IsActive(FOther->GetHybridScrollbarsManager()));
  EXPECT_TRUE(Manager()->GetIsDeactivating());
  TdxScrollUIClock::Advance(1000);
  EXPECT_EQ(TdxHybridScrollbarManagers::Count(), 1) << "the faded owner left the list";
  Manager()->Show(true);
  EXPECT_FALSE(Manager()->GetIsDeactivating());
  EXPECT_TRUE(TdxHybridScrollbarManagers::IsActive(Manager()));
}

TEST_F(dxHybridScrollbarsManagerTest, AnOwnerWithoutAVisibleWindowShowsNothing)
{
  FControl->SetVisible(false);
  Manager()->Show(true);
  EXPECT_FALSE(Manager()->GetAllowVisible());
  EXPECT_EQ(FControl->StateChanges, 0);
  EXPECT_EQ(TdxHybridScrollbarManagers::Count(), 0);
}

TEST_F(dxHybridScrollbarsManagerTest, AHiddenExpandedBarResetsTheExpansion)
{
  const THybridClockScope clock;
  Manager()->Show(true);
  Manager()->MouseEnterScrollbar(FBarV.get());
  TdxScrollUIClock::Advance(1000);
  Manager()->ScrollbarHidden(FBarH.get());
  EXPECT_EQ(Manager()->GetVisibleSize(), 100) << "another bar hiding changes nothing";
  Manager()->ScrollbarHidden(FBarV.get());
  EXPECT_EQ(Manager()->GetVisibleSize(), 0);
  EXPECT_EQ(Manager()->GetAnimateObject(), nullptr);
  EXPECT_EQ(Manager()->GetHidingLockCount(), 0);
  EXPECT_EQ(Manager()->GetFadingValue(), 0);
  EXPECT_FALSE(Manager()->IsHidingTimerActive());
}

// Freeing a control in the middle of its fade and expansion leaves no
// callback behind for the clock to run.
TEST_F(dxHybridScrollbarsManagerTest, AFreedOwnerLeavesTheListAndItsAnimations)
{
  const THybridClockScope clock;
  Manager()->Show(false);
  Manager()->MouseEnterScrollbar(FBarV.get());
  TdxScrollUIClock::Advance(50);
  rtl::Free(FControl);
  FControl = nullptr;
  EXPECT_EQ(TdxHybridScrollbarManagers::Count(), 0);
  TdxScrollUIClock::Advance(3000);
}

// The window that holds the control hides, is disabled or minimised: the
// bars go at once, through the framework's message hook.
TEST_F(dxHybridScrollbarsManagerTest, HidingTheWindowAroundTheControlHidesTheBarsAtOnce)
{
  struct TCase {
    const char* Name;
    void (*Apply)(HWND AWnd);
    void (*Undo)(HWND AWnd);
  };
  const TCase cases[] = {
      {"hidden", [](HWND W) { ShowWindow(W, SW_HIDE); }, [](HWND W) { ShowWindow(W, SW_SHOWNA); }},
      {"disabled", [](HWND W) { EnableWindow(W, FALSE); }, [](HWND W) { EnableWindow(W, TRUE); }},
      {"minimised", [](HWND W) { SendMessageW(W, WM_SYSCOMMAND, SC_MINIMIZE, 0); },
       [](HWND W) { ShowWindow(W, SW_RESTORE); }},
  };
  const THybridClockScope clock;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Manager()->Show(false);
    ASSERT_TRUE(Manager()->GetAllowVisible());
    c.Apply(FHost->GetHandle());
    EXPECT_FALSE(Manager()->GetAllowVisible());
    EXPECT_FALSE(FControl->BarsShown);
    c.Undo(FHost->GetHandle());
  }
}

TEST_F(dxHybridScrollbarsManagerTest, MovingTheWindowAroundTheControlMovesTheBars)
{
  const THybridClockScope clock;
  Manager()->Show(true);
  const int before = FControl->StateChanges;
  SetWindowPos(FHost->GetHandle(), nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_GT(FControl->StateChanges, before);
}

// Thickness = collapsed + Round(size x (expanded - collapsed) / 100), a
// half to the even neighbour; background alpha Round(size x 22 / 100).
TEST(dxHybridScrollBarPainterTest, GeometryAndAlphaRoundHalvesToEven)
{
  struct TCase {
    int Size;
    std::uint8_t Alpha;
  };
  const TCase cases[] = {{0, 0}, {25, 6}, {75, 16}, {100, 22}};
  for (const TCase& c : cases)
    EXPECT_EQ(TdxHybridScrollBarPainter::BackgroundAlpha(c.Size), c.Alpha) << c.Size;
}

// A windowless bar drawn by the hybrid painter, hosted by an owner whose
// manager expands it.
class THybridTestBarHelper : public TcxControlScrollBarHelper {
  RTL_CLASS(THybridTestBarHelper, TcxControlScrollBarHelper)

 protected:
  TcxScrollBarPainterClass GetPainterClass() override
  {
    return TcxScrollBarPainterClass::Of<TdxHybridScrollBarPainter>();
  }
};

TEST_F(dxHybridScrollbarsManagerTest, PaintsACollapsedAndAnExpandedBar)
{
  const THybridClockScope clock;
  constexpr int barLength = 160;
  rtl::TOwnedPtr<TcxBitmap32> bitmap(
      rtl::NewWith<TcxBitmap32>([](TcxBitmap32* B) { B->CreateSize(60, barLength); }));
  bitmap->GetcxCanvas()->FillRect(TRect{0, 0, 60, barLength}, vcl::clWhite);
  const rtl::TOwnedPtr<THybridTestBarHelper> bar(
      rtl::New<THybridTestBarHelper>(static_cast<IcxScrollBarOwner*>(FControl)));
  bar->TcxScrollBarHelper::SetKind(TScrollBarKind::sbVertical);
  bar->TcxScrollBarHelper::SetScrollParams(0, 99, 30, 25, false);
  bar->TcxScrollBarHelper::SetVisible(true);

  const auto paintAt = [&](int ALeft) {
    bar->TcxScrollBarHelper::SetBoundsRect(TRect{ALeft, 0, ALeft + 16, barLength});
    bar->Calculate();
    bar->Paint(bitmap->GetcxCanvas());
    const TRect thumb = bar->GetViewInfo()->GetThumbnailRect();
    return (thumb.top + thumb.bottom) / 2;
  };
  Manager()->Show(false);
  TdxScrollUIClock::Advance(1000);
  const int collapsedThumbY = paintAt(4);
  Manager()->MouseEnterScrollbar(FControl);
  TdxScrollUIClock::Advance(100);
  ASSERT_TRUE(Manager()->IsExpandedScrollbar(FControl));
  const int expandedThumbY = paintAt(36);

  const HDC dc = bitmap->GetCanvas()->GetHandle();
  EXPECT_EQ(GetPixel(dc, 4, collapsedThumbY) & 0xFFFFFF, 0xFFFFFFu) << "the collapsed bar is only its far strip";
  EXPECT_NE(GetPixel(dc, 4 + 12, collapsedThumbY) & 0xFFFFFF, 0xFFFFFFu) << "the collapsed thumb line";
  EXPECT_GE(GetRValue(GetPixel(dc, 4 + 15, collapsedThumbY)), 0xF0) << "beside the line only a trace of the strip";
  EXPECT_NE(GetPixel(dc, 36 + 1, expandedThumbY) & 0xFFFFFF, 0xFFFFFFu) << "the expanded thumb is the whole width";

  const rtl::TOwnedPtr<TdxPNGImage> png(rtl::New<TdxPNGImage>());
  png->LoadFromBitmap(bitmap.get());
  if (const char* folder = std::getenv("KV_RENDER_DIR"))
    png->SaveToFile(std::wstring(folder, folder + std::strlen(folder)) + L"\\HybridScrollBar.png");
}

}  // namespace
