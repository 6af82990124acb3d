#include "controls/cxPopupScrollBars.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/cxGraphicsDraw.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
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
  rtl::TOwnedPtr<TcxControlPopupScrollBar> bar(
      rtl::NewWith<TcxControlPopupScrollBar>([this](TcxControlPopupScrollBar* B) { B->CreateEx(FControl); }));
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

// The clip cuts what the screen leaves visible further: a piece of a bar
// that lies beyond the clip neither answers the mouse nor is drawn.
TEST_F(cxPopupScrollBarsTest, BoundsWithAClipAnswerOnlyInsideBoth)
{
  rtl::TOwnedPtr<TcxControlPopupScrollBar> bar(
      rtl::NewWith<TcxControlPopupScrollBar>([this](TcxControlPopupScrollBar* B) { B->CreateEx(FControl); }));
  bar->TcxScrollBar::SetKind(TScrollBarKind::sbVertical);
  bar->AttachToOwnerControl();
  bar->HandleNeeded();
  struct TCase {
    const char* Name;
    TRect Clip;
    int VisibleFrom;
    int VisibleTo;  // rows of the bar that answer, the box's edge at 50
  };
  const TCase cases[] = {
      {"clip wider than the bar", {0, 0, 150, 100}, 0, 50},
      {"clip ends at row 30", {0, 0, 150, 30}, 0, 30},
      {"clip starts at row 10", {0, 10, 150, 100}, 10, 50},
      {"clip beside the bar", {0, 0, 100, 100}, 0, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    bar->SetBoundsWithClip(TRect{134, 0, 150, 100}, c.Clip);
    RECT window{};
    GetWindowRect(bar->GetHandle(), &window);
    const TPoint origin = FControl->ClientToScreen(TPoint{134, 0});
    EXPECT_EQ(window, (RECT{origin.x, origin.y, origin.x + 16, origin.y + 100})) << "the window keeps the whole rect";
    for (const int y : {0, 9, 10, 29, 30, 49, 50, 99}) {
      const bool visible = y >= c.VisibleFrom && y < c.VisibleTo;
      EXPECT_EQ(bar->GetHelper()->IsPointInVisibleArea(TPoint{8, y}), visible) << "row " << y;
    }
  }
}

TEST_F(cxPopupScrollBarsTest, APopupGripIsTranslucentAndCutToTheVisibleBox)
{
  rtl::TOwnedPtr<TcxPopupSizeGrip> grip(
      rtl::NewWith<TcxPopupSizeGrip>([this](TcxPopupSizeGrip* G) { G->CreateEx(FControl); }));
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

namespace {

using enum TScrollBarKind;
using enum TdxScrollbarMode;

// A control with content of its own size in the scroll-bar mode its look
// and feel asks for.
class TPopupBarsTestControl : public TcxControl {
  RTL_CLASS(TPopupBarsTestControl, TcxControl)

 public:
  void SetContent(TSize AValue)
  {
    FContent = AValue;
    UpdateScrollBars();
  }

 protected:
  bool IsTouchScrollbarModeSupported() override { return true; }
  void InitScrollBarsParameters() override
  {
    const TRect client = GetClientBounds();
    SetScrollBarInfo(sbHorizontal, 0, FContent.cx - 1, 1, client.right - client.left, 0, true, true);
    SetScrollBarInfo(sbVertical, 0, FContent.cy - 1, 1, client.bottom - client.top, 0, true, true);
  }

 private:
  TSize FContent{1000, 1000};
};

class TPopupBarsClockScope {
 public:
  TPopupBarsClockScope() { TdxScrollUIClock::Install(); }
  TPopupBarsClockScope(const TPopupBarsClockScope&) = delete;
  TPopupBarsClockScope& operator=(const TPopupBarsClockScope&) = delete;
  ~TPopupBarsClockScope() { TdxScrollUIClock::Uninstall(); }
};

// A control 200 x 150 in the mode the test asks for, on a shown form: popup
// bars show only with a window that owns them.
class cxPopupScrollBarsModeTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    FForm.reset(rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(nullptr); }));
    FForm->SetBorderStyle(vcl::TFormBorderStyle::bsNone);
    FForm->SetBounds(10, 10, 400, 320);
    FForm->Show();
    kvtest::PumpMessages();
  }
  void TearDown() override
  {
    FForm.reset();
    kvtest::PumpMessages();
  }

  TPopupBarsTestControl* MakeControl(TdxScrollbarMode AMode, TRect ABounds = TRect{20, 20, 220, 170})
  {
    auto* control = rtl::New<TPopupBarsTestControl>(FForm.get());
    control->SetBoundsRect(ABounds);
    control->SetParent(FForm.get());
    control->GetLookAndFeel()->SetScrollbarMode(AMode);
    control->HandleNeeded();
    EXPECT_EQ(control->GetScrollbarMode(), AMode);
    return control;
  }

  static TcxControlScrollBar* Bar(TcxControl* AControl, TScrollBarKind AKind)
  {
    auto* bars = static_cast<TcxControlWindowedScrollBars*>(AControl->GetMainScrollBars());
    return AKind == sbVertical ? bars->GetVScrollBar() : bars->GetHScrollBar();
  }

  static TcxControlPopupScrollBar* PopupBar(TcxControl* AControl, TScrollBarKind AKind)
  {
    return rtl::As<TcxControlPopupScrollBar>(Bar(AControl, AKind));
  }

  static bool IsShown(vcl::TWinControl* AWindow)
  {
    return AWindow && AWindow->HandleAllocated() && IsWindowVisible(AWindow->GetHandle());
  }

  rtl::TOwnedPtr<vcl::TForm> FForm;
};

// The bars are made for their owner control before they choose their
// scroll logic: each mode gets its own helper, grip and thickness.
TEST_F(cxPopupScrollBarsModeTest, EachModeGetsItsOwnBarsAndGrip)
{
  struct TCase {
    TdxScrollbarMode Mode;
    rtl::TClass Bar;
    rtl::TClass Helper;
    rtl::TClass Grip;
    int Thickness;
    int ArrowLength;  // of the vertical bar 200 high
  };
  const TCase cases[] = {
      {sbmClassic, TcxControlScrollBar::StaticClass(), TcxScrollBarHelper::StaticClass(),
       TcxSizeGrip::StaticClass(), cxGetClassicScrollBarSize(nullptr).cx, -1},
      {sbmTouch, TcxControlPopupScrollBar::StaticClass(), TcxPopupScrollBarHelper::StaticClass(),
       TcxPopupSizeGrip::StaticClass(), 16, 0},
      {sbmHybrid, TcxControlPopupScrollBar::StaticClass(), TdxHybridScrollBarHelper::StaticClass(),
       TcxPopupSizeGrip::StaticClass(), 16, 16},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Mode));
    TPopupBarsTestControl* control = MakeControl(c.Mode);
    for (const TScrollBarKind kind : {sbHorizontal, sbVertical}) {
      TcxControlScrollBar* bar = Bar(control, kind);
      ASSERT_NE(bar, nullptr);
      EXPECT_EQ(bar->ClassType(), c.Bar);
      EXPECT_EQ(bar->GetHelper()->ClassType(), c.Helper);
      EXPECT_EQ(bar->OwnerControl, control);
      EXPECT_EQ(bar->GetHelper()->GetDefaultSize().cx, c.Thickness);
    }
    EXPECT_EQ(control->GetSizeGrip()->ClassType(), c.Grip);
    EXPECT_EQ(control->GetSizeGrip()->GetOwnerControl(), control);
    if (c.ArrowLength >= 0) {
      TcxScrollBarHelper* helper = Bar(control, sbVertical)->GetHelper();
      helper->SetBoundsRect(TRect{0, 0, 16, 200});
      helper->Calculate();
      EXPECT_EQ(helper->GetViewInfo()->GetArrowButtonLength(), c.ArrowLength);
    }
    rtl::Free(control);
  }
}

TEST_F(cxPopupScrollBarsModeTest, APopupBarFollowsItsOwnerAndServesIt)
{
  TPopupBarsTestControl* control = MakeControl(sbmHybrid);
  TcxControlPopupScrollBar* bar = PopupBar(control, sbVertical);
  EXPECT_EQ(bar->GetScrollbarOwner(), control);
  rtl::IPtr<IdxPopupControl> popup;
  ASSERT_TRUE(rtl::Supports(bar, &popup));
  EXPECT_EQ(popup->GetOwnerControl(), control);
  control->GetScaleFactor()->Assign(3, 2, false);
  EXPECT_EQ(bar->GetScaleFactor()->Apply(16), 24) << "the bar's scale is its owner's";
  EXPECT_EQ(bar->GetHelper()->GetDefaultSize().cx, 24);
}

// ---------------------------------------------------------------------------
// Hybrid bars: the manager's machine seen on the bar windows.

enum class THybridBarsEvent {
  Show,          // activity: shown for a second
  HideAtOnce,    // the window around the control is minimised
  OverV,         // the mouse moves onto the vertical bar
  LeaveV,
  OverH,
  LeaveH,
  VContentFits,  // the vertical bar is no longer needed
  VContentGrows,
  Advance,
};

// Bars: the bar windows shown ('V', 'H', both "VH" or none ""); Wide: the
// expanded bar; Thickness of the vertical bar; Alpha of both bars (AnyAlpha
// while a fade runs that the case is not about); Grip: the corner's
// opacity.
constexpr int AnyAlpha = -1;

struct THybridBarsState {
  const char* Bars;
  char Wide;
  int Thickness;
  int Alpha;
  int Grip;
};

struct THybridBarsStep {
  THybridBarsEvent Event;
  unsigned Milliseconds;
  THybridBarsState Expected;
};

struct THybridBarsScenario {
  const char* Name;
  std::vector<THybridBarsStep> Steps;
};

const THybridBarsScenario HybridBarsScenarios[] = {
    {"the bar under the mouse widens, the corner darkens with it, and both count down after the mouse left",
     {{THybridBarsEvent::Show, 0, {"VH", '-', 6, 0, 0}},
      {THybridBarsEvent::Advance, 1000, {"VH", '-', 6, 255, 0}},
      {THybridBarsEvent::OverV, 0, {"VH", 'V', 6, 255, 0}},
      {THybridBarsEvent::Advance, 50, {"VH", 'V', 11, 255, 11}},
      {THybridBarsEvent::Advance, 50, {"VH", 'V', 16, 255, 22}},
      {THybridBarsEvent::LeaveV, 0, {"VH", 'V', 16, 255, 22}},
      {THybridBarsEvent::Advance, 600, {"VH", '-', 6, 255, 0}},
      {THybridBarsEvent::Advance, 1000, {"VH", '-', 6, 255, 0}}}},
    {"minimising hides the bars under the mouse; the next bar still collapses",
     {{THybridBarsEvent::Show, 0, {"VH", '-', 6, 0, 0}},
      {THybridBarsEvent::Advance, 1000, {"VH", '-', 6, 255, 0}},
      {THybridBarsEvent::OverV, 0, {"VH", 'V', 6, 255, 0}},
      {THybridBarsEvent::Advance, 100, {"VH", 'V', 16, 255, 22}},
      {THybridBarsEvent::HideAtOnce, 0, {"", '-', 6, 0, 0}},
      {THybridBarsEvent::Show, 0, {"VH", '-', 6, 0, 0}},
      {THybridBarsEvent::OverH, 0, {"VH", 'H', 6, AnyAlpha, 0}},
      {THybridBarsEvent::Advance, 100, {"VH", 'H', 6, AnyAlpha, 22}},
      {THybridBarsEvent::LeaveH, 0, {"VH", 'H', 6, AnyAlpha, 22}},
      {THybridBarsEvent::Advance, 600, {"VH", '-', 6, AnyAlpha, 0}}}},
    {"a bar that goes under the mouse because its content fits lets the other one collapse",
     {{THybridBarsEvent::Show, 0, {"VH", '-', 6, 0, 0}},
      {THybridBarsEvent::OverV, 0, {"VH", 'V', 6, 0, 0}},
      {THybridBarsEvent::Advance, 100, {"VH", 'V', 16, AnyAlpha, 22}},
      {THybridBarsEvent::VContentFits, 0, {"H", '-', 6, 0, 0}},
      {THybridBarsEvent::LeaveV, 0, {"H", '-', 6, 0, 0}},
      {THybridBarsEvent::VContentGrows, 0, {"VH", '-', 6, 0, 0}},
      {THybridBarsEvent::OverH, 0, {"VH", 'H', 6, AnyAlpha, 0}},
      {THybridBarsEvent::Advance, 100, {"VH", 'H', 6, AnyAlpha, 22}},
      {THybridBarsEvent::LeaveH, 0, {"VH", 'H', 6, AnyAlpha, 22}},
      {THybridBarsEvent::Advance, 600, {"VH", '-', 6, AnyAlpha, 0}}}},
};

TEST_F(cxPopupScrollBarsModeTest, HybridBarsWidenFadeAndHideOnTheirWindows)
{
  const auto run = [this](TPopupBarsTestControl* AControl, THybridBarsEvent AEvent, unsigned AMilliseconds) {
    TcxControlPopupScrollBar* v = PopupBar(AControl, sbVertical);
    TcxControlPopupScrollBar* h = PopupBar(AControl, sbHorizontal);
    switch (AEvent) {
      case THybridBarsEvent::Show:
        AControl->ShowScrollUI(nullptr, true);
        break;
      case THybridBarsEvent::HideAtOnce:
        SendMessageW(FForm->GetHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        ShowWindow(FForm->GetHandle(), SW_RESTORE);
        break;
      case THybridBarsEvent::OverV:
        v->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(8, 40));
        break;
      case THybridBarsEvent::LeaveV:
        v->Perform(rtl::CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(v));
        break;
      case THybridBarsEvent::OverH:
        h->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(40, 8));
        break;
      case THybridBarsEvent::LeaveH:
        h->Perform(rtl::CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(h));
        break;
      case THybridBarsEvent::VContentFits:
        AControl->SetContent(TSize{1000, 10});
        break;
      case THybridBarsEvent::VContentGrows:
        AControl->SetContent(TSize{1000, 1000});
        break;
      case THybridBarsEvent::Advance:
        TdxScrollUIClock::Advance(AMilliseconds);
        break;
    }
  };
  const TPopupBarsClockScope clock;
  for (const THybridBarsScenario& scenario : HybridBarsScenarios) {
    TPopupBarsTestControl* control = MakeControl(sbmHybrid);
    TdxHybridScrollbarsManager* manager = control->GetHybridScrollbarsManager();
    int index = 0;
    for (const THybridBarsStep& step : scenario.Steps) {
      run(control, step.Event, step.Milliseconds);
      SCOPED_TRACE(testing::Message() << scenario.Name << ", step " << index++);
      TcxControlPopupScrollBar* v = PopupBar(control, sbVertical);
      TcxControlPopupScrollBar* h = PopupBar(control, sbHorizontal);
      const std::string bars = std::string(IsShown(v) ? "V" : "") + (IsShown(h) ? "H" : "");
      EXPECT_EQ(bars, step.Expected.Bars);
      const char wide = manager->IsExpandedScrollbar(v) ? 'V' : manager->IsExpandedScrollbar(h) ? 'H' : '-';
      EXPECT_EQ(wide, step.Expected.Wide);
      if (IsShown(v)) {
        EXPECT_EQ(v->GetVisibleSize(), step.Expected.Thickness);
      }
      for (TcxControlPopupScrollBar* bar : {v, h})
        if (IsShown(bar) && step.Expected.Alpha != AnyAlpha) {
          EXPECT_EQ(bar->GetAlpha(), step.Expected.Alpha);
        }
      TcxSizeGrip* grip = control->GetSizeGrip();
      EXPECT_EQ(IsShown(grip), std::string(step.Expected.Bars) == "VH");
      if (IsShown(grip)) {
        UpdateWindow(grip->GetHandle());
        BYTE alpha = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(grip->GetHandle(), nullptr, &alpha, nullptr));
        EXPECT_EQ(alpha, step.Expected.Grip);
      }
    }
    rtl::Free(control);
  }
}

// Both bars stand inside the control's client area, over its content.
TEST_F(cxPopupScrollBarsModeTest, HybridBarsLieOverTheContentsEdges)
{
  const TPopupBarsClockScope clock;
  TPopupBarsTestControl* control = MakeControl(sbmHybrid);
  control->ShowScrollUI(nullptr, false);
  const TPoint origin = control->ClientToScreen(TPoint{0, 0});
  RECT v{};
  GetWindowRect(PopupBar(control, sbVertical)->GetHandle(), &v);
  RECT h{};
  GetWindowRect(PopupBar(control, sbHorizontal)->GetHandle(), &h);
  RECT grip{};
  GetWindowRect(control->GetSizeGrip()->GetHandle(), &grip);
  EXPECT_EQ(v, (RECT{origin.x + 184, origin.y, origin.x + 200, origin.y + 134}));
  EXPECT_EQ(h, (RECT{origin.x, origin.y + 134, origin.x + 184, origin.y + 150}));
  EXPECT_EQ(grip, (RECT{origin.x + 184, origin.y + 134, origin.x + 200, origin.y + 150}));
  EXPECT_EQ(PopupBar(control, sbVertical)->Perform(WM_MOUSEACTIVATE, 0, 0), MA_NOACTIVATE);
}

// ---------------------------------------------------------------------------
// Touch bars: activity shows them, a press on one holds them.

enum class TTouchBarsEvent {
  Activity,  // the mouse moves across the control's content
  PressV,    // the left button goes down on the vertical bar's track
  ReleaseV,
  Wheel,     // the wheel turns over the bar
  Advance,
};

struct TTouchBarsStep {
  TTouchBarsEvent Event;
  unsigned Milliseconds;
  bool Shown;
  bool PressLock;
};

struct TTouchBarsScenario {
  const char* Name;
  std::vector<TTouchBarsStep> Steps;
};

const TTouchBarsScenario TouchBarsScenarios[] = {
    {"activity shows the bars for a second",
     {{TTouchBarsEvent::Activity, 0, true, false},
      {TTouchBarsEvent::Advance, 999, true, false},
      {TTouchBarsEvent::Advance, 1, false, false}}},
    {"a press on a bar holds them until a second after the release",
     {{TTouchBarsEvent::Activity, 0, true, false},
      {TTouchBarsEvent::PressV, 0, true, true},
      {TTouchBarsEvent::Advance, 3000, true, true},
      {TTouchBarsEvent::ReleaseV, 0, true, false},
      {TTouchBarsEvent::Advance, 999, true, false},
      {TTouchBarsEvent::Advance, 1, false, false}}},
    {"the wheel over a bar restarts the second",
     {{TTouchBarsEvent::Activity, 0, true, false},
      {TTouchBarsEvent::Advance, 800, true, false},
      {TTouchBarsEvent::Wheel, 0, true, false},
      {TTouchBarsEvent::Advance, 800, true, false},
      {TTouchBarsEvent::Advance, 200, false, false}}},
};

TEST_F(cxPopupScrollBarsModeTest, TouchBarsShowOnActivityAndHoldWhilePressed)
{
  const TPopupBarsClockScope clock;
  for (const TTouchBarsScenario& scenario : TouchBarsScenarios) {
    TPopupBarsTestControl* control = MakeControl(sbmTouch);
    int index = 0;
    for (const TTouchBarsStep& step : scenario.Steps) {
      TcxControlPopupScrollBar* v = PopupBar(control, sbVertical);
      switch (step.Event) {
        case TTouchBarsEvent::Activity:
          control->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
          control->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(20, 40));
          break;
        case TTouchBarsEvent::PressV:
          v->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 100));
          break;
        case TTouchBarsEvent::ReleaseV:
          v->Perform(WM_LBUTTONUP, 0, MAKELPARAM(8, 100));
          break;
        case TTouchBarsEvent::Wheel:
          v->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
          break;
        case TTouchBarsEvent::Advance:
          TdxScrollUIClock::Advance(step.Milliseconds);
          break;
      }
      SCOPED_TRACE(testing::Message() << scenario.Name << ", step " << index++);
      EXPECT_EQ(IsShown(v), step.Shown);
      EXPECT_EQ(IsShown(PopupBar(control, sbHorizontal)), step.Shown);
      EXPECT_EQ(TdxTouchScrollUIModeManager::GetPressLock(), step.PressLock);
      if (IsShown(v)) {
        RECT window{};
        GetWindowRect(v->GetHandle(), &window);
        EXPECT_EQ(window.right - window.left, 16);
        EXPECT_EQ(window.bottom - window.top, 150 - 16);
      }
    }
    rtl::Free(control);
  }
}

// ---------------------------------------------------------------------------
// TdxScrollBarWrapper

// A part of a control with a bar of its own; the bar shows while the touch
// UI shows this part.
class TPopupBarsTestPart : public TcxIUnknownObject, public IdxTouchScrollUIOwner {
  RTL_CLASS(TPopupBarsTestPart, TcxIUnknownObject)
  RTL_INTERFACES(IdxTouchScrollUIOwner)

 public:
  TcxControl* Control = nullptr;
  TdxScrollBarWrapper* Bar = nullptr;
  rtl::TObject* ScrollSender = nullptr;
  int ScrollCount = 0;

  void ScrollUIStateChanged() override { Bar->SetVisible(!Control->IsScrollUIHidden(this)); }
  vcl::TWinControl* GetScrollUIOwnerControl() override { return Control; }
  bool HasVisibleScrollUI() override { return Bar->GetVisible(); }
  void DoHideScrollUI() override { Bar->SetVisible(false); }

  void Scroll(rtl::TObject* ASender, TScrollCode /*ACode*/, int& /*APosition*/)
  {
    ScrollSender = ASender;
    ++ScrollCount;
  }
};

class cxScrollBarWrapperTest : public cxPopupScrollBarsModeTest {
 protected:
  // A part of a control in AMode with a vertical bar.
  void MakePart(TdxScrollbarMode AMode)
  {
    FControl = MakeControl(AMode, TRect{20, 20, 320, 270});
    FControl->SetContent(TSize{10, 10});
    FPart.reset(rtl::New<TPopupBarsTestPart>());
    FPart->Control = FControl;
    FPart->Bar = rtl::New<TdxScrollBarWrapper>(static_cast<rtl::TObject*>(FPart.get()));
    FPart->Bar->SetKind(sbVertical);
    FPart->Bar->SetScrollParams(0, 99, 0, 10, false);
    FPart->Bar->SetOnScroll(TScrollEvent::Bind<&TPopupBarsTestPart::Scroll>(FPart.get()));
  }

  void TearDown() override
  {
    if (FPart)
      rtl::Free(std::exchange(FPart->Bar, nullptr));
    FPart.reset();
    cxPopupScrollBarsModeTest::TearDown();
  }

  // The point P of the owner control's client area in the bar's own
  // coordinates.
  TPoint BarPoint(const TPoint& P) const
  {
    if (TcxControlPopupScrollBar* bar = FPart->Bar->GetPopupScrollBar())
      return bar->ScreenToClient(FControl->ClientToScreen(P));
    return P;
  }

  TcxScrollBarHelper* BarHelper() const
  {
    if (TcxControlPopupScrollBar* bar = FPart->Bar->GetPopupScrollBar())
      return bar->GetHelper();
    return FPart->Bar->GetWindowlessScrollBar();
  }

  TPopupBarsTestControl* FControl = nullptr;
  rtl::TOwnedPtr<TPopupBarsTestPart> FPart;
};

TEST_F(cxScrollBarWrapperTest, IsAPopupBarInTheTouchModesAndAWindowlessOneOtherwise)
{
  struct TCase {
    TdxScrollbarMode Mode;
    bool Popup;
  };
  const TCase cases[] = {{sbmClassic, false}, {sbmTouch, true}, {sbmHybrid, true}};
  const TPopupBarsClockScope clock;
  for (const TCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Mode));
    MakePart(c.Mode);
    TdxScrollBarWrapper* bar = FPart->Bar;
    EXPECT_EQ(bar->IsTouchScrollUIMode(), c.Popup);
    EXPECT_EQ(bar->GetControl() != nullptr, c.Popup);
    EXPECT_EQ(bar->GetDefaultSize().cx, c.Popup ? 16 : cxGetClassicScrollBarSize(nullptr).cx);
    if (c.Popup) {
      EXPECT_TRUE(bar->GetControl()->HandleAllocated()) << "made with its window for a control that has one";
      EXPECT_EQ(bar->LookAndFeel(), bar->GetPopupScrollBar()->TcxScrollBar::GetLookAndFeel());
    } else {
      EXPECT_EQ(bar->LookAndFeel(), FControl->GetLookAndFeel());
    }

    // Bounds in the owner control's client coordinates either way.
    bar->SetBoundsRect(TRect{200, 10, 216, 210});
    EXPECT_EQ(bar->GetBoundsRect(), (TRect{200, 10, 216, 210}));
    EXPECT_EQ(bar->GetMax(), 99);

    // A step reaches the part with the wrapper as the sender.
    int position = 5;
    BarHelper()->Scroll(TScrollCode::scLineDown, position);
    EXPECT_EQ(FPart->ScrollCount, 1);
    EXPECT_EQ(FPart->ScrollSender, bar);

    rtl::Free(std::exchange(FPart->Bar, nullptr));
    rtl::Free(FControl);
  }
}

TEST_F(cxScrollBarWrapperTest, ABarCutToAClipAnswersOnlyInsideIt)
{
  const TPopupBarsClockScope clock;
  for (const TdxScrollbarMode mode : {sbmClassic, sbmTouch}) {
    SCOPED_TRACE(static_cast<int>(mode));
    MakePart(mode);
    FPart->Bar->SetBoundsAndClipRect(TRect{200, 10, 216, 210}, TRect{0, 0, 300, 110});
    EXPECT_EQ(FPart->Bar->GetBoundsRect(), (TRect{200, 10, 216, 210}));
    EXPECT_TRUE(BarHelper()->IsPointInVisibleArea(BarPoint(TPoint{208, 100})));
    EXPECT_FALSE(BarHelper()->IsPointInVisibleArea(BarPoint(TPoint{208, 120}))) << "beyond the clip";
    rtl::Free(std::exchange(FPart->Bar, nullptr));
    rtl::Free(FControl);
  }
}

// In the touch mode a part's bar waits for the touch UI, and a freed bar
// takes its part out of the touch UI.
TEST_F(cxScrollBarWrapperTest, ATouchBarShowsOnlyWithItsPartsScrollUI)
{
  const TPopupBarsClockScope clock;
  MakePart(sbmTouch);
  TdxScrollBarWrapper* bar = FPart->Bar;
  bar->SetBoundsRect(TRect{200, 10, 216, 210});
  bar->SetVisible(true);
  EXPECT_FALSE(bar->GetVisible()) << "the part's scroll UI is hidden";
  FControl->ShowScrollUI(FPart.get(), true);
  EXPECT_TRUE(bar->GetVisible());
  EXPECT_TRUE(IsShown(bar->GetControl()));
  EXPECT_EQ(TdxTouchScrollUIModeManager::GetActiveOwner(), FPart.get());
  TdxScrollUIClock::Advance(1000);
  EXPECT_FALSE(bar->GetVisible());

  FControl->ShowScrollUI(FPart.get(), false);
  rtl::Free(std::exchange(FPart->Bar, nullptr));
  EXPECT_EQ(TdxTouchScrollUIModeManager::GetActiveOwner(), nullptr);
  EXPECT_FALSE(TdxTouchScrollUIModeManager::GetShown());
}

// ---------------------------------------------------------------------------
// A look at a control with hybrid bars: the vertical bar expanded under
// the mouse, the horizontal one collapsed, the corner between them.

TEST_F(cxPopupScrollBarsModeTest, RendersAControlWithHybridBars)
{
  const TPopupBarsClockScope clock;
  TPopupBarsTestControl* control = MakeControl(sbmHybrid);
  control->ShowScrollUI(nullptr, false);
  TcxControlPopupScrollBar* v = PopupBar(control, sbVertical);
  v->TcxScrollBar::SetPosition(300);
  v->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(8, 60));
  // The expansion only: the picture is drawn at full opacity.
  TdxScrollUIClock::Advance(100);
  ASSERT_EQ(v->GetVisibleSize(), 16);

  rtl::TOwnedPtr<TcxBitmap32> picture(rtl::NewWith<TcxBitmap32>([](TcxBitmap32* B) { B->CreateSize(200, 150); }));
  TcxCanvas* canvas = picture->GetcxCanvas();
  canvas->FillRect(TRect{0, 0, 200, 150}, vcl::clWhite);
  for (int y = 8; y < 150; y += 12)
    canvas->FillRect(TRect{8, y, 8 + (y * 7) % 150, y + 4}, vcl::TColor(0xC8C8C8));
  picture->MakeOpaque();
  const TPoint origin = control->ClientToScreen(TPoint{0, 0});
  const auto blend = [&](vcl::TWinControl* AWindow, std::uint8_t AAlpha, auto APaint) {
    RECT r{};
    GetWindowRect(AWindow->GetHandle(), &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    rtl::TOwnedPtr<TcxBitmap32> layer(
        rtl::NewWith<TcxBitmap32>([&](TcxBitmap32* B) { B->CreateSize(width, height, true); }));
    APaint(layer.get());
    const TRect target{r.left - origin.x, r.top - origin.y, r.right - origin.x, r.bottom - origin.y};
    cxAlphaBlend(canvas->GetHandle(), layer->GetCanvas()->GetHandle(), target, TRect{0, 0, width, height}, false,
                 AAlpha);
  };
  for (TcxControlPopupScrollBar* bar : {v, PopupBar(control, sbHorizontal)})
    blend(bar, 255, [bar](TcxBitmap32* ALayer) { bar->PaintTo(ALayer->GetcxCanvas()); });
  TcxSizeGrip* grip = control->GetSizeGrip();
  UpdateWindow(grip->GetHandle());
  BYTE gripAlpha = 0;
  GetLayeredWindowAttributes(grip->GetHandle(), nullptr, &gripAlpha, nullptr);
  blend(grip, gripAlpha, [grip](TcxBitmap32* ALayer) {
    grip->PaintGrip(ALayer->GetcxCanvas());
    ALayer->MakeOpaque();
  });

  const rtl::TOwnedPtr<TdxPNGImage> png(rtl::New<TdxPNGImage>());
  png->LoadFromBitmap(picture.get());
  if (const char* folder = std::getenv("KV_RENDER_DIR"))
    png->SaveToFile(std::wstring(folder, folder + std::strlen(folder)) + L"\\HybridScrollBars.png");
}

}  // namespace
