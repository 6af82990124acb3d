#include "controls/cxHint.h"

#include <gtest/gtest.h>

#include "controls/cxControls.h"
#include "tests/controls/ControlsTestSupport.h"
#include "tests/support/TestHost.h"

namespace {

// An element whose hint area is a fixed rectangle of the control.
class THintMouseTestElement : public TcxIUnknownObject, public IcxHintableObject {
  RTL_CLASS(THintMouseTestElement, TcxIUnknownObject)
  RTL_INTERFACES(IcxHintableObject)

 public:
  bool __stdcall HasHintPoint(const TPoint& P) override { return PtInRect(&Area, P) != FALSE; }
  bool __stdcall IsHintAtMousePos() override { return false; }
  bool __stdcall UseHintHidePause() override { return true; }
  TRect Area{};
};

class THintMouseTestHelper : public TcxControlHintHelper {
  RTL_CLASS(THintMouseTestHelper, TcxControlHintHelper)

 public:
  bool HintVisible() const
  {
    return GetHintWindow() && GetHintWindow()->HandleAllocated() && IsWindowVisible(GetHintWindow()->GetHandle());
  }
  TcxControl* Control = nullptr;

 protected:
  TcxControl* GetControl() override { return Control; }
};

class cxHintHelperMouseTest : public kvtest::THostedTest {
 protected:
  void SetUp() override
  {
    THostedTest::SetUp();
    FControl = AddChild<TcxControl>(TRect{20, 20, 260, 140});
    FOther = AddChild<TcxControl>(TRect{20, 160, 260, 200});
    FControl->HandleNeeded();
    FOther->HandleNeeded();
    FHelper->Control = FControl;
    FElement->Area = {10, 10, 110, 50};
    SetForegroundWindow(FHost->GetHandle());
    kvtest::PumpMessages();
  }
  void TearDown() override
  {
    FHelper.reset();
    THostedTest::TearDown();
  }
  void MoveCursorTo(vcl::TControl* AControl, const TPoint& AClientPoint)
  {
    const TPoint P = AControl->ClientToScreen(AClientPoint);
    SetCursorPos(P.x, P.y);
    kvtest::PumpMessages();
  }

  TcxControl* FControl = nullptr;
  TcxControl* FOther = nullptr;
  rtl::TOwnedPtr<THintMouseTestHelper> FHelper{rtl::New<THintMouseTestHelper>()};
  rtl::TOwnedPtr<THintMouseTestElement> FElement{rtl::New<THintMouseTestElement>()};
};

TEST_F(cxHintHelperMouseTest, AHintOverAnElementGoesWhenTheMouseLeavesIt)
{
  MoveCursorTo(FOther, {30, 20});
  EXPECT_FALSE(cxCanShowHint(FControl)) << "the control is not the one under the cursor";
  FHelper->ShowHint(FElement->Area, {20, 20, 100, 36}, L"The hint of an element", false, FElement.get());
  EXPECT_FALSE(FHelper->HintVisible());

  MoveCursorTo(FControl, {30, 30});
  ASSERT_TRUE(cxCanShowHint(FControl));
  FHelper->ShowHint(FElement->Area, {20, 20, 100, 36}, L"The hint of an element", false, FElement.get());
  ASSERT_TRUE(FHelper->HintVisible());
  RECT window{};
  GetWindowRect(FHelper->GetHintWindow()->GetHandle(), &window);
  // The client area (where the text is drawn) starts two pixels before the
  // element's text.
  const TPoint text = FControl->ClientToScreen(TPoint{20, 20});
  const TPoint client = FHelper->GetHintWindow()->ClientToScreen(TPoint{0, 0});
  EXPECT_EQ(client.x, text.x - 2) << "the window stands over the element's text";
  EXPECT_EQ(client.y, text.y - 2);
  EXPECT_LT(window.left, client.x + 1);

  // Still on the control, off the element.
  MoveCursorTo(FControl, {200, 90});
  ASSERT_TRUE(kvtest::PumpUntil([&] { return !FHelper->HintVisible(); }));
  EXPECT_EQ(FHelper->GetLastHintableObject(), nullptr) << "leaving forgets the element: it may hint again";
  MoveCursorTo(FControl, {30, 30});
  FHelper->ShowHint(FElement->Area, {20, 20, 100, 36}, L"The hint of an element", false, FElement.get());
  EXPECT_TRUE(FHelper->HintVisible());
  FHelper->MouseDown();
  EXPECT_FALSE(FHelper->HintVisible()) << "a press hides it";
}

}  // namespace
