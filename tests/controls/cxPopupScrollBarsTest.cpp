#include "controls/cxPopupScrollBars.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/vcl/Forms.h"
#include "platform/vcl/GraphicsHandles.h"
#include "tests/controls/ControlsTestSupport.h"
#include "tests/support/TestHost.h"

namespace {

// The number of pixels a region covers.
long RegionArea(HRGN ARegion)
{
  const DWORD size = GetRegionData(ARegion, 0, nullptr);
  if (size == 0)
    return 0;
  std::vector<char> buffer(size);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  if (GetRegionData(ARegion, size, data) == 0)
    return 0;
  const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
  long area = 0;
  for (DWORD i = 0; i < data->rdh.nCount; ++i)
    area += (rects[i].right - rects[i].left) * (rects[i].bottom - rects[i].top);
  return area;
}

TRect RegionBox(HRGN ARegion)
{
  RECT box{};
  GetRgnBox(ARegion, &box);
  return box;
}

// A box 200 x 100 on the host with a control 150 x 100 whose lower half lies
// beyond the box's bottom edge, and a sibling panel that covers the
// control's top-left corner.
class cxPopupScrollBarsTest : public kvtest::THostedTest {
 protected:
  void SetUp() override
  {
    THostedTest::SetUp();
    FBox = AddChild<kvtest::TTestPanel>(TRect{50, 50, 250, 150});
    FControl = rtl::New<TcxControl>(FHost.get());
    FControl->SetBoundsRect(TRect{0, 50, 150, 150});
    FControl->SetParent(FBox);
    FCover = rtl::New<kvtest::TTestPanel>(FHost.get());
    FCover->SetBoundsRect(TRect{0, 50, 30, 70});
    FCover->SetParent(FBox);
    FHost->HandleNeeded();
    FControl->HandleNeeded();
    FCover->HandleNeeded();
    // Above the control among the box's children.
    SetWindowPos(FCover->GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    kvtest::PumpMessages();
  }

  kvtest::TTestPanel* FBox = nullptr;
  TcxControl* FControl = nullptr;
  kvtest::TTestPanel* FCover = nullptr;
};

TEST_F(cxPopupScrollBarsTest, TheVisibleRegionIsThePartOfTheRectOnScreen)
{
  struct TCase {
    const char* Name;
    TRect R;
    TRect Box;  // of the region, relative to R
    long Area;
  };
  const TCase cases[] = {
      {"fully visible", {130, 0, 150, 40}, {0, 0, 20, 40}, 20 * 40},
      {"lower half beyond the box", {130, 0, 150, 100}, {0, 0, 20, 50}, 20 * 50},
      {"entirely beyond the box", {0, 60, 150, 100}, {0, 0, 0, 0}, 0},
      {"corner under the sibling", {0, 0, 40, 40}, {0, 0, 40, 40}, 40 * 40 - 30 * 20},
      {"empty", {10, 10, 10, 10}, {0, 0, 0, 0}, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const vcl::TOwnedRegion region = cxGetVisibleRegionOfRect(FControl, c.R);
    ASSERT_TRUE(region);
    EXPECT_EQ(RegionArea(region.Get()), c.Area);
    if (c.Area != 0) {
      EXPECT_EQ(RegionBox(region.Get()), c.Box);
    }
  }
}

TEST_F(cxPopupScrollBarsTest, TheVisibleBoxIsInWindowCoordinates)
{
  struct TCase {
    const char* Name;
    TRect R;
    TRect Box;
  };
  const TCase cases[] = {
      {"fully visible", {130, 0, 150, 40}, {130, 0, 150, 40}},
      {"lower half beyond the box", {130, 30, 150, 100}, {130, 30, 150, 50}},
      {"entirely beyond the box", {0, 60, 150, 100}, {0, 0, 0, 0}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(cxGetVisibleBoxOfRect(FControl, c.R), c.Box);
  }
}

TEST_F(cxPopupScrollBarsTest, WithoutAWindowNothingIsVisible)
{
  rtl::TOwnedPtr<TcxControl> loose(rtl::New<TcxControl>(nullptr));
  const vcl::TOwnedRegion region = cxGetVisibleRegionOfRect(loose.get(), TRect{0, 0, 10, 10});
  EXPECT_EQ(RegionArea(region.Get()), 0);
  EXPECT_EQ(cxGetVisibleBoxOfRect(loose.get(), TRect{0, 0, 10, 10}), (TRect{0, 0, 0, 0}));
}

// A vertical popup bar along the control's right edge: its window covers
// the whole rectangle, the mouse reaches only the visible half.
TEST_F(cxPopupScrollBarsTest, APopupBarTakesTheRectAndAnswersOnlyWhereVisible)
{
  rtl::TOwnedPtr<TcxControlPopupScrollBar> bar(rtl::New<TcxControlPopupScrollBar>(nullptr));
  bar->OwnerControl = FControl;
  bar->TcxScrollBar::SetKind(TScrollBarKind::sbVertical);
  bar->AttachToOwnerControl();
  bar->HandleNeeded();
  const HWND wnd = bar->GetHandle();
  EXPECT_EQ(GetWindowLongW(wnd, GWL_STYLE) & ~(WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN), WS_POPUP);
  EXPECT_EQ(GetWindowLongW(wnd, GWL_EXSTYLE), WS_EX_LAYERED);
  EXPECT_EQ(GetWindow(wnd, GW_OWNER), nullptr) << "the test host is no form and no form is active";

  bar->SetOwnerControlRelativeBounds(TRect{134, 0, 150, 100});
  RECT window{};
  GetWindowRect(wnd, &window);
  const TPoint origin = FControl->ClientToScreen(TPoint{134, 0});
  EXPECT_EQ(window, (RECT{origin.x, origin.y, origin.x + 16, origin.y + 100}));
  EXPECT_TRUE(bar->GetHelper()->IsPointInVisibleArea(TPoint{8, 20}));
  EXPECT_FALSE(bar->GetHelper()->IsPointInVisibleArea(TPoint{8, 70})) << "beyond the box's edge";
  EXPECT_EQ(bar->Perform(WM_MOUSEACTIVATE, 0, 0), MA_NOACTIVATE);
}

TEST_F(cxPopupScrollBarsTest, APopupGripIsTranslucentAndCutToTheVisibleBox)
{
  rtl::TOwnedPtr<TcxPopupSizeGrip> grip(rtl::New<TcxPopupSizeGrip>(nullptr));
  grip->SetOwnerControl(FControl);
  grip->AttachToOwnerControl();
  grip->HandleNeeded();
  const HWND wnd = grip->GetHandle();
  EXPECT_EQ(GetWindowLongW(wnd, GWL_EXSTYLE), WS_EX_LAYERED);
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 50);
  EXPECT_EQ(flags & LWA_ALPHA, static_cast<DWORD>(LWA_ALPHA));

  grip->SetOwnerControlRelativeBounds(TRect{134, 40, 150, 56});
  RECT window{};
  GetWindowRect(wnd, &window);
  const TPoint origin = FControl->ClientToScreen(TPoint{134, 40});
  EXPECT_EQ(window, (RECT{origin.x, origin.y, origin.x + 16, origin.y + 10})) << "cut at the box's edge";
  EXPECT_EQ(grip->Perform(WM_MOUSEACTIVATE, 0, 0), MA_NOACTIVATE);
}

// ---------------------------------------------------------------------------
// Placement above the owner

class cxPopupPlacementTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    FPopup = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", nullptr, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(FPopup, nullptr);
  }
  void TearDown() override
  {
    DestroyWindow(FPopup);
    kvtest::PumpMessages();
  }

  HWND FPopup = nullptr;
};

TEST_F(cxPopupPlacementTest, AnOrdinaryFormGetsThePopupDirectlyAbove)
{
  rtl::TOwnedPtr<vcl::TForm> form(rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(nullptr); }));
  form->SetBorderStyle(vcl::TFormBorderStyle::bsNone);
  form->SetBounds(40, 40, 200, 150);
  auto* control = rtl::New<TcxControl>(form.get());
  control->SetParent(form.get());
  form->Show();
  kvtest::PumpMessages();
  // Something above the form, so that "directly above" means something.
  SetWindowPos(FPopup, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  const HWND other = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", nullptr, WS_POPUP | WS_VISIBLE, 0, 0, 5, 5,
                                     nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowPos(form->GetHandle(), other, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  cxPlacePopupAboveOwner(FPopup, control);
  EXPECT_EQ(GetWindow(form->GetHandle(), GW_HWNDPREV), FPopup);
  EXPECT_EQ(GetWindowLongW(FPopup, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_EQ(cxGetPopupOwnerWindow(control), form->GetHandle());
  DestroyWindow(other);
}

TEST_F(cxPopupPlacementTest, AControlWithoutAFormGetsATopmostPopup)
{
  rtl::TOwnedPtr<kvtest::TTestHost> host(rtl::New<kvtest::TTestHost>(nullptr));
  host->SetBounds(10, 10, 100, 100);
  auto* control = rtl::New<TcxControl>(host.get());
  control->SetParent(host.get());
  host->Show();
  cxPlacePopupAboveOwner(FPopup, control);
  EXPECT_NE(GetWindowLongW(FPopup, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

}  // namespace
