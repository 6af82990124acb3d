#include <gtest/gtest.h>

#include <vector>

#include "controls/cxControls.h"
#include "core/cxClasses.h"
#include "tests/controls/ControlsTestSupport.h"
#include "tests/support/TestHost.h"

using enum TScrollBarKind;
using enum TScrollCode;

namespace {

// A control that counts the presses its own handlers see.
class TScrollBarsTestControl : public TcxControl {
  RTL_CLASS(TScrollBarsTestControl, TcxControl)

 public:
  int MouseDowns = 0;

 protected:
  void MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y) override
  {
    ++MouseDowns;
    inherited::MouseDown(AButton, AShift, X, Y);
  }
  bool CanFocusOnClick(int /*X*/, int /*Y*/) override { return false; }
};

// Windowless vertical bars 17 x 200 inside a control, fed through its
// window procedure as the platform would.
class cxControlScrollBarsManagerTest : public kvtest::THostedTest {
 protected:
  void SetUp() override
  {
    THostedTest::SetUp();
    FControl = AddChild<TScrollBarsTestControl>(TRect{0, 0, 200, 220});
    FControl->HandleNeeded();
  }
  void TearDown() override
  {
    for (TcxControlScrollBarHelper* bar : FBars) {
      FControl->GetScrollBarsManager()->UnRegisterScrollBar(bar);
      rtl::Free(bar);
    }
    ReleaseCapture();
    THostedTest::TearDown();
  }

  TcxControlScrollBarHelper* AddBar(const TRect& ABounds)
  {
    auto* bar = rtl::New<TcxControlScrollBarHelper>(static_cast<IcxScrollBarOwner*>(FControl));
    bar->TcxScrollBarHelper::SetKind(sbVertical);
    bar->TcxScrollBarHelper::SetBoundsRect(ABounds);
    bar->TcxScrollBarHelper::SetScrollParams(0, 99, 0, 10, false);
    bar->TcxScrollBarHelper::SetVisible(true);
    bar->Calculate();
    FControl->GetScrollBarsManager()->RegisterScrollBar(bar);
    FBars.push_back(bar);
    return bar;
  }

  LRESULT Send(UINT AMsg, WPARAM AKeys, int X, int Y) { return FControl->Perform(AMsg, AKeys, MAKELPARAM(X, Y)); }

  TScrollBarsTestControl* FControl = nullptr;
  std::vector<TcxControlScrollBarHelper*> FBars;
};

TEST_F(cxControlScrollBarsManagerTest, APressOnTheArrowScrollsAndRepeatsUntilRelease)
{
  TcxControlScrollBarHelper* bar = AddBar(TRect{0, 0, 17, 200});
  Send(WM_MOUSEMOVE, 0, 8, 190);
  EXPECT_EQ(FControl->GetScrollBarsManager()->GetHotScrollBar(), bar);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 8, 190);
  EXPECT_EQ(bar->TcxScrollBarHelper::GetPosition(), 1);
  EXPECT_TRUE(FControl->ScrollBarsHaveCapture());
  EXPECT_EQ(GetCapture(), FControl->GetHandle());
  EXPECT_EQ(FControl->MouseDowns, 0) << "the content does not see a press on a bar";
  // The clock of the repeat is the test's.
  bar->GetController()->RepeatTimerHandler(nullptr);
  bar->GetController()->RepeatTimerHandler(nullptr);
  EXPECT_EQ(bar->TcxScrollBarHelper::GetPosition(), 3);
  Send(WM_LBUTTONUP, 0, 8, 190);
  EXPECT_FALSE(FControl->ScrollBarsHaveCapture());
  bar->GetController()->RepeatTimerHandler(nullptr);
  EXPECT_EQ(bar->TcxScrollBarHelper::GetPosition(), 3);
}

TEST_F(cxControlScrollBarsManagerTest, DraggingTheThumbOutsideTheBarKeepsTheDrag)
{
  TcxControlScrollBarHelper* bar = AddBar(TRect{0, 0, 17, 200});
  const TRect thumb = bar->GetViewInfo()->GetThumbnailRect();
  const int x = 8;
  const int y = (thumb.top + thumb.bottom) / 2;
  Send(WM_MOUSEMOVE, 0, x, y);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, x, y);
  // Sideways off the bar, within the distance a drag may stray.
  Send(WM_MOUSEMOVE, MK_LBUTTON, x + 30, y + 40);
  EXPECT_EQ(FControl->GetScrollBarsManager()->GetHotScrollBar(), bar);
  EXPECT_TRUE(FControl->GetScrollBarsManager()->KeepTracking());
  EXPECT_GT(bar->TcxScrollBarHelper::GetPosition(), 0);
  Send(WM_LBUTTONUP, 0, x + 30, y + 40);
  EXPECT_FALSE(FControl->ScrollBarsHaveCapture());
}

TEST_F(cxControlScrollBarsManagerTest, ARightPressIsTakenWithoutScrolling)
{
  TcxControlScrollBarHelper* bar = AddBar(TRect{0, 0, 17, 200});
  Send(WM_MOUSEMOVE, 0, 8, 190);
  EXPECT_EQ(Send(WM_RBUTTONDOWN, MK_RBUTTON, 8, 190), 0);
  EXPECT_EQ(bar->TcxScrollBarHelper::GetPosition(), 0);
  EXPECT_EQ(FControl->MouseDowns, 0);
  EXPECT_FALSE(FControl->ScrollBarsHaveCapture());
}

TEST_F(cxControlScrollBarsManagerTest, WhereBarsOverlapTheOneRegisteredLaterWins)
{
  AddBar(TRect{0, 0, 17, 200});
  TcxControlScrollBarHelper* later = AddBar(TRect{0, 0, 17, 200});
  Send(WM_MOUSEMOVE, 0, 8, 100);
  EXPECT_EQ(FControl->GetScrollBarsManager()->GetHotScrollBar(), later);
  EXPECT_TRUE(FControl->IsPointOnScrollBars(TPoint{8, 100}));
  EXPECT_FALSE(FControl->IsPointOnScrollBars(TPoint{100, 100}));
}

TEST_F(cxControlScrollBarsManagerTest, LosingTheCaptureCancelsThePress)
{
  TcxControlScrollBarHelper* bar = AddBar(TRect{0, 0, 17, 200});
  Send(WM_MOUSEMOVE, 0, 8, 190);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 8, 190);
  FControl->Perform(WM_CAPTURECHANGED, 0, 0);
  EXPECT_FALSE(FControl->ScrollBarsHaveCapture());
  bar->GetController()->RepeatTimerHandler(nullptr);
  EXPECT_EQ(bar->TcxScrollBarHelper::GetPosition(), 1);
}

TEST_F(cxControlScrollBarsManagerTest, AMoveOffTheBarsReachesTheContent)
{
  AddBar(TRect{0, 0, 17, 200});
  Send(WM_MOUSEMOVE, 0, 100, 100);
  EXPECT_EQ(FControl->GetScrollBarsManager()->GetHotScrollBar(), nullptr);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 100, 100);
  EXPECT_EQ(FControl->MouseDowns, 1);
  Send(WM_LBUTTONUP, 0, 100, 100);
}

}  // namespace

namespace {

class cxBaseControlInputTest : public kvtest::THostedTest {};

// Remembers how it was being focused when the focus arrived.
class TFocusTestControl : public TcxControl {
  RTL_CLASS(TFocusTestControl, TcxControl)

 public:
  std::vector<TcxControlActivateType> EnteredBy;

 protected:
  void FocusEnter() override { EnteredBy.push_back(GetActivateType()); }
};

TEST_F(cxBaseControlInputTest, AClickFocusesTheControlAndSaysSoWhileItArrives)
{
  auto* other = AddChild<TcxControl>(TRect{100, 0, 200, 100});
  auto* control = AddChild<TFocusTestControl>(TRect{0, 0, 100, 100});
  SetForegroundWindow(FHost->GetHandle());
  control->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  control->Perform(WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_TRUE(control->Focused());
  other->SetFocus();
  control->SetFocus();
  EXPECT_EQ(control->EnteredBy, (std::vector{TcxControlActivateType::atByMouse, TcxControlActivateType::atOther}));
}

TEST_F(cxBaseControlInputTest, AClickDoesNotFocusWhenFocusOnClickIsOff)
{
  auto* other = AddChild<TcxControl>(TRect{100, 0, 200, 100});
  auto* control = AddChild<TcxControl>(TRect{0, 0, 100, 100});
  control->SetFocusOnClick(false);
  SetForegroundWindow(FHost->GetHandle());
  other->SetFocus();
  control->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  control->Perform(WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_TRUE(other->Focused());
}

}  // namespace
