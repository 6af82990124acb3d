#include <gtest/gtest.h>

#include <vector>

#include "controls/cxControls.h"
#include "core/cxClasses.h"
#include "graphics/cxGraphics.h"
#include "platform/vcl/GraphicsHandles.h"
#include "tests/controls/ControlsTestSupport.h"
#include "tests/support/TestHost.h"

using enum TScrollBarKind;
using enum TScrollCode;

namespace {

// A control that paints one colour and records what reaches it: the DC
// kinds it painted on, the scroll steps and the scale-change brackets.
// Its content is ContentSize pixels; the bars follow from it.
class TBaseTestControl : public TcxControl {
  RTL_CLASS(TBaseTestControl, TcxControl)

 public:
  vcl::TColor FillColor = vcl::clRed;
  std::vector<DWORD> PaintedDCKinds;
  std::vector<std::pair<TScrollBarKind, TScrollCode>> Scrolls;
  TSize ContentSize{0, 0};
  int InitPasses = 0;
  int ScaleChangingCount = 0;
  int ScaleChangedCount = 0;
  bool AllowPageIncrease = false;

  using TcxControl::GetClientBounds;
  using TcxControl::UpdateScrollBars;

  void Scroll(TScrollBarKind AKind, TScrollCode ACode, int& APos) override
  {
    Scrolls.emplace_back(AKind, ACode);
    (void)APos;
  }

 protected:
  void DoPaint() override
  {
    inherited::DoPaint();
    PaintedDCKinds.push_back(GetObjectType(GetCanvas()->GetHandle()));
    GetCanvas()->FillRect(GetClientBounds(), FillColor);
  }
  void InitScrollBarsParameters() override
  {
    ++InitPasses;
    const TRect client = GetClientBounds();
    SetScrollBarInfo(sbHorizontal, 0, ContentSize.cx - 1, 1, client.right - client.left, 0, true, true);
    SetScrollBarInfo(sbVertical, 0, ContentSize.cy - 1, 1, client.bottom - client.top, 0, true, true);
  }
  bool AllowPageIncreaseByScrollBar(TScrollBarKind /*AKind*/) override { return AllowPageIncrease; }
  void ScaleChanging() override { ++ScaleChangingCount; }
  void ScaleChanged() override
  {
    ++ScaleChangedCount;
    inherited::ScaleChanged();
  }
};

// Event handlers of the tests: counts, and a control to free on a press.
class TBaseTestEvents : public rtl::TObject {
  RTL_CLASS(TBaseTestEvents, rtl::TObject)

 public:
  int Enters = 0;
  int Leaves = 0;
  rtl::TObject* FreeOnMouseDown = nullptr;

  void MouseEnter(rtl::TObject* /*Sender*/) { ++Enters; }
  void MouseLeave(rtl::TObject* /*Sender*/) { ++Leaves; }
  void MouseDown(rtl::TObject* /*Sender*/, vcl::TMouseButton, vcl::TShiftState, int, int)
  {
    rtl::Free(FreeOnMouseDown);
  }
};

class cxBaseControlTest : public kvtest::THostedTest {
 protected:
  TBaseTestControl* AddControl(const TRect& ABounds = TRect{0, 0, 200, 200})
  {
    TBaseTestControl* control = AddChild<TBaseTestControl>(ABounds);
    control->HandleNeeded();
    return control;
  }
};

COLORREF PixelOf(HDC ADC, int X, int Y)
{
  return GetPixel(ADC, X, Y);
}

// ---------------------------------------------------------------------------
// Painting

TEST_F(cxBaseControlTest, PaintsThroughTheDirectRoadIntoTheGivenDC)
{
  TBaseTestControl* control = AddControl();
  vcl::TOwnedDC dc(CreateCompatibleDC(nullptr));
  vcl::TOwnedBitmap bitmap(CreateBitmap(200, 200, 1, 32, nullptr));
  vcl::TSelectObjectGuard selected(dc.Get(), bitmap.Get());
  control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc.Get()), 0);
  ASSERT_EQ(control->PaintedDCKinds.size(), 1u);
  EXPECT_EQ(control->PaintedDCKinds[0], static_cast<DWORD>(OBJ_MEMDC));
  EXPECT_EQ(PixelOf(dc.Get(), 100, 100), RGB(255, 0, 0));
}

TEST_F(cxBaseControlTest, DoubleBufferedPaintsIntoAMemoryBitmapAndCopiesIt)
{
  TBaseTestControl* control = AddControl();
  control->SetDoubleBuffered(true);
  control->FillColor = vcl::clBlue;
  kvtest::PumpMessages();
  control->PaintedDCKinds.clear();
  control->Invalidate();
  UpdateWindow(control->GetHandle());
  ASSERT_FALSE(control->PaintedDCKinds.empty());
  EXPECT_EQ(control->PaintedDCKinds.back(), static_cast<DWORD>(OBJ_MEMDC));
  vcl::TWindowDC dc(control->GetHandle());
  EXPECT_EQ(PixelOf(dc.Get(), 100, 100), RGB(0, 0, 255));
}

TEST_F(cxBaseControlTest, ErasesFromABufferEvenWhenDoubleBuffered)
{
  TBaseTestControl* control = AddControl();
  control->SetDoubleBuffered(true);
  vcl::TOwnedDC dc(CreateCompatibleDC(nullptr));
  const WPARAM wParam = reinterpret_cast<WPARAM>(dc.Get());
  // From a buffer (WParam = LParam): due and done.
  EXPECT_EQ(control->Perform(WM_ERASEBKGND, wParam, static_cast<LPARAM>(wParam)), 1);
  // From the platform, an opaque control has nothing to erase.
  EXPECT_EQ(control->Perform(WM_ERASEBKGND, wParam, 0), 0);
}

// ---------------------------------------------------------------------------
// Scroll bars

struct ScrollBarInfoCase {
  const char* Name;
  int Min, Max, Page, Pos;
  bool AllowShow, AllowHide;
  bool Visible, Enabled;
};

TEST_F(cxBaseControlTest, SetScrollBarInfoDecidesVisibilityAndEnabled)
{
  const ScrollBarInfoCase cases[] = {
      {"range larger than page", 0, 99, 10, 0, true, true, true, true},
      {"page covers range, may hide", 0, 9, 10, 0, true, true, false, true},
      {"page covers range, may not hide", 0, 9, 10, 0, true, false, true, false},
      {"not allowed to show", 0, 99, 10, 0, false, false, false, true},
      {"position below min", 5, 99, 10, 0, true, true, false, true},
  };
  TBaseTestControl* control = AddControl();
  for (const ScrollBarInfoCase& c : cases) {
    SCOPED_TRACE(c.Name);
    control->SetScrollBarInfo(sbVertical, c.Min, c.Max, 1, c.Page, c.Pos, c.AllowShow, c.AllowHide);
    const TcxScrollBarData* data = control->GetVScrollBar()->GetData();
    EXPECT_EQ(data->FVisible, c.Visible);
    if (c.Visible) {
      EXPECT_EQ(data->FEnabled, c.Enabled);
    }
  }
}

TEST_F(cxBaseControlTest, ScrollStyleKeepsABarHidden)
{
  TBaseTestControl* control = AddControl();
  control->SetScrollBars(vcl::TScrollStyle::ssVertical);
  control->SetScrollBarInfo(sbHorizontal, 0, 99, 1, 10, 0, true, false);
  EXPECT_FALSE(control->GetHScrollBar()->GetData()->FVisible);
}

TEST_F(cxBaseControlTest, ABarNeededOnlyBecauseTheOtherAppearedShowsToo)
{
  TBaseTestControl* control = AddControl();
  const int thickness = control->GetScrollBarSize().cx;
  // Wide enough without the vertical bar, not with it.
  control->ContentSize = TSize{200 - thickness / 2, 300};
  control->UpdateScrollBars();
  EXPECT_TRUE(control->IsVScrollBarVisible());
  EXPECT_TRUE(control->IsHScrollBarVisible());
  EXPECT_TRUE(control->GetSizeGrip()->GetVisible());
  EXPECT_EQ(control->GetClientBounds(), (TRect{0, 0, 200 - thickness, 200 - control->GetScrollBarSize().cy}));
  EXPECT_EQ(control->GetVScrollBar()->GetBoundsRect(), (TRect{200 - thickness, 0, 200, 200 - thickness}));

  control->ContentSize = TSize{100, 100};
  control->UpdateScrollBars();
  EXPECT_FALSE(control->IsVScrollBarVisible());
  EXPECT_FALSE(control->IsHScrollBarVisible());
  EXPECT_EQ(control->GetClientBounds(), (TRect{0, 0, 200, 200}));
}

TEST_F(cxBaseControlTest, UpdatesRequestedWhileLockedRunOnceAtTheLastUnlock)
{
  TBaseTestControl* control = AddControl();
  control->UnlockScrollBars();  // without a lock: nothing
  control->LockScrollBars();
  control->LockScrollBars();
  control->InitPasses = 0;
  control->UpdateScrollBars();
  control->UpdateScrollBars();
  control->UnlockScrollBars();
  EXPECT_EQ(control->InitPasses, 0);
  control->UnlockScrollBars();
  EXPECT_GT(control->InitPasses, 0);
}

// ---------------------------------------------------------------------------
// Mouse wheel

struct WheelCase {
  const char* Name;
  std::vector<int> Deltas;
  int WheelScrollLines;
  std::vector<std::pair<TScrollBarKind, TScrollCode>> Scrolls;
};

TEST_F(cxBaseControlTest, WheelDeltasAccumulateIntoWholeSteps)
{
  const WheelCase cases[] = {
      {"360 clamps to one notch", {360}, 1, {{sbVertical, scLineUp}}},
      {"two halves scroll at the second", {60, 60}, 1, {{sbVertical, scLineUp}}},
      {"a change of direction restarts", {60, -60}, 1, {}},
      {"down scrolls down", {-120}, 1, {{sbVertical, scLineDown}}},
      {"three lines a notch", {120}, 3, {{sbVertical, scLineUp}, {sbVertical, scLineUp}, {sbVertical, scLineUp}}},
      {"pages when lines are -1", {-120}, -1, {{sbVertical, scPageDown}}},
  };
  TBaseTestControl* control = AddControl();
  control->ContentSize = TSize{100, 1000};
  control->UpdateScrollBars();
  ASSERT_TRUE(control->IsVScrollBarVisible());
  const int savedLines = vcl::Mouse()->GetWheelScrollLines();
  for (const WheelCase& c : cases) {
    SCOPED_TRACE(c.Name);
    vcl::Mouse()->SetWheelScrollLines(c.WheelScrollLines);
    control->Scrolls.clear();
    for (int delta : c.Deltas)
      control->Perform(rtl::CM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0);
    // The next case starts afresh.
    control->Perform(rtl::CM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-1)), 0);
    control->Perform(rtl::CM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(1)), 0);
    EXPECT_EQ(control->Scrolls, c.Scrolls);
  }
  vcl::Mouse()->SetWheelScrollLines(savedLines);
}

// ---------------------------------------------------------------------------
// Enter and leave, keys, scale changes

TEST_F(cxBaseControlTest, MouseEnterFiresOncePerEnterAndIgnoresChildren)
{
  TBaseTestControl* control = AddControl();
  rtl::TOwnedPtr<TBaseTestEvents> events(rtl::New<TBaseTestEvents>());
  control->SetOnMouseEnter(rtl::TNotifyEvent::Bind<&TBaseTestEvents::MouseEnter>(events.get()));
  control->SetOnMouseLeave(rtl::TNotifyEvent::Bind<&TBaseTestEvents::MouseLeave>(events.get()));
  TBaseTestControl* child = AddChild<TBaseTestControl>(TRect{0, 0, 10, 10});
  control->Perform(rtl::CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(child));
  EXPECT_EQ(events->Enters, 0);
  control->Perform(rtl::CM_MOUSEENTER, 0, 0);
  control->Perform(rtl::CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(control));
  EXPECT_EQ(events->Enters, 1);
  control->Perform(rtl::CM_MOUSELEAVE, 0, 0);
  control->Perform(rtl::CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(events->Leaves, 1);
}

TEST_F(cxBaseControlTest, KeysAnswerTheDialogCodes)
{
  TBaseTestControl* control = AddControl();
  EXPECT_EQ(control->Perform(WM_GETDLGCODE, 0, 0), 0);
  control->SetKeys(TcxKeys{TcxKey::kArrows, TcxKey::kChars});
  EXPECT_EQ(control->Perform(WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);
  control->SetKeys(TcxKeys{TcxKey::kAll, TcxKey::kTab});
  EXPECT_EQ(control->Perform(WM_GETDLGCODE, 0, 0), DLGC_WANTALLKEYS | DLGC_WANTTAB);
}

TEST_F(cxBaseControlTest, ScaleChangesNestAndReportTheOutermostOnly)
{
  TBaseTestControl* control = AddControl();
  control->Perform(DXM_SCALECHANGING, 0, 0);
  control->Perform(DXM_SCALECHANGING, 0, 0);
  EXPECT_TRUE(control->IsScaleChanging());
  control->Perform(DXM_SCALECHANGED, 0, 0);
  EXPECT_EQ(control->ScaleChangedCount, 0);
  control->Perform(DXM_SCALECHANGED, 0, 0);
  control->Perform(DXM_SCALECHANGED, 0, 0);
  EXPECT_EQ(control->ScaleChangingCount, 1);
  EXPECT_EQ(control->ScaleChangedCount, 1);
  EXPECT_FALSE(control->IsScaleChanging());
}

// A click whose handler frees the control: nothing touches it afterwards.
TEST_F(cxBaseControlTest, AControlFreedByItsMouseDownHandlerIsLeftAlone)
{
  TBaseTestControl* control = AddControl();
  rtl::TOwnedPtr<TBaseTestEvents> events(rtl::New<TBaseTestEvents>());
  events->FreeOnMouseDown = control;
  control->SetOnMouseDown(vcl::TMouseEvent::Bind<&TBaseTestEvents::MouseDown>(events.get()));
  rtl::TFreeWatch watch(control);
  control->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_TRUE(watch.Freed());
}

}  // namespace
