#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "controls/cxControls.h"
#include "core/cxClasses.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "platform/vcl/GraphicsHandles.h"
#include "platform/vcl/Menus.h"
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
  // The vertical page when not 0, else the client height.
  int VerticalPage = 0;
  std::vector<int> TrackPositions;

  // Flips the vertical bar on every calculation pass.
  bool Oscillate = false;
  bool ScrollsWithoutBars = false;
  bool WithScrollBars = true;
  // A one-pixel frame painted as the non-client area.
  bool Framed = false;

  using TcxControl::GetClientBounds;
  using TcxControl::UpdateScrollBars;

  void Scroll(TScrollBarKind AKind, TScrollCode ACode, int& APos) override
  {
    Scrolls.emplace_back(AKind, ACode);
    if (ACode == scTrack)
      TrackPositions.push_back(APos);
  }

 protected:
  void DoPaint() override
  {
    inherited::DoPaint();
    PaintedDCKinds.push_back(GetObjectType(GetCanvas()->GetHandle()));
    GetCanvas()->FillRect(GetClientBounds(), FillColor);
  }
  bool NeedsScrollBars() override { return WithScrollBars; }
  bool CanScrollContentWithoutScrollBars(TcxDirection /*ADirection*/) override { return ScrollsWithoutBars; }
  bool HasNonClientArea() override { return Framed; }
  void GetNonClientMargins(TRect& R) override { R = Framed ? TRect{1, 1, 1, 1} : TRect{}; }
  void DrawNonClientArea(TcxCanvas* ACanvas) override { ACanvas->FillRect(TRect{0, 0, 1000, 1000}, vcl::clLime); }
  void CreateParams(vcl::TCreateParams& AParams) override
  {
    inherited::CreateParams(AParams);
    if (Framed)
      AParams.Style |= WS_BORDER;
  }
  void InitScrollBarsParameters() override
  {
    ++InitPasses;
    if (Oscillate) {
      const bool show = !GetVScrollBar()->GetData()->FVisible;
      SetScrollBarInfo(sbVertical, 0, show ? 999 : 0, 1, 10, 0, true, true);
      return;
    }
    const TRect client = GetClientBounds();
    SetScrollBarInfo(sbHorizontal, 0, ContentSize.cx - 1, 1, client.right - client.left, 0, true, true);
    SetScrollBarInfo(sbVertical, 0, ContentSize.cy - 1, 1, VerticalPage ? VerticalPage : client.bottom - client.top, 0,
                     true, true);
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
  void KeyDown(rtl::TObject* /*Sender*/, WORD& /*Key*/, vcl::TShiftState) { rtl::Free(FreeOnMouseDown); }
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

// The border, the content clipped inside it and both bars with their grip.
TEST_F(cxBaseControlTest, PaintsBorderContentAndScrollBars)
{
  TBaseTestControl* control = AddControl(TRect{0, 0, 240, 160});
  control->GetLookAndFeel()->SetNativeStyle(false);
  control->SetBorderStyle(TcxControlBorderStyle::cxcbsDefault);
  control->FillColor = vcl::clWhite;
  control->ContentSize = TSize{400, 400};
  control->UpdateScrollBars();
  kvtest::PumpMessages();
  rtl::TOwnedPtr<TcxBitmap> bitmap(rtl::NewWith<TcxBitmap>([](TcxBitmap* B) { B->CreateSize(240, 160); }));
  bitmap->GetcxCanvas()->FillRect(TRect{0, 0, 240, 160}, vcl::clFuchsia);
  control->PaintTo(bitmap->GetCanvas()->GetHandle(), 0, 0);
  const HDC dc = bitmap->GetCanvas()->GetHandle();
  const int border = control->GetPainter()->BorderSize();
  EXPECT_NE(PixelOf(dc, 0, 80), RGB(255, 255, 255)) << "the border";
  EXPECT_EQ(PixelOf(dc, border + 5, 80), RGB(255, 255, 255)) << "the content";
  const TRect client = control->GetClientBounds();
  EXPECT_NE(PixelOf(dc, client.right + 2, 80), RGB(255, 0, 255)) << "the vertical bar";
  EXPECT_NE(PixelOf(dc, 80, client.bottom + 2), RGB(255, 0, 255)) << "the horizontal bar";
  EXPECT_NE(PixelOf(dc, client.right + 2, client.bottom + 2), RGB(255, 0, 255)) << "the size grip";

  const rtl::TOwnedPtr<TdxPNGImage> png(rtl::New<TdxPNGImage>());
  png->LoadFromBitmap(bitmap.get());
  if (const char* folder = std::getenv("KV_RENDER_DIR"))
    png->SaveToFile(std::wstring(folder, folder + std::strlen(folder)) + L"\\BaseControl.png");
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
// Gestures

struct GestureCase {
  const char* Name;
  int Page;
  std::vector<int> DeltaYs;
  std::vector<int> Positions;
};

// Pixels panned become units of Min(client / page, 30) pixels; what is left
// waits for the next pan.
TEST_F(cxBaseControlTest, GesturePansScrollByWholeSteps)
{
  const GestureCase cases[] = {
      {"four pixels a unit", 50, {-10}, {2}},
      {"less than a step waits for the next", 5, {-20, -20}, {1}},
      {"a page beyond the client steps by pixels", 300, {-3}, {3}},
      {"panning down stops at the top", 50, {40}, {0}},
  };
  TBaseTestControl* control = AddControl();
  control->ContentSize = TSize{100, 1000};
  for (const GestureCase& c : cases) {
    SCOPED_TRACE(c.Name);
    control->VerticalPage = c.Page;
    control->UpdateScrollBars();
    ASSERT_TRUE(control->IsVScrollBarVisible());
    control->BeginGestureScroll(TPoint{0, 0});
    control->TrackPositions.clear();
    for (int delta : c.DeltaYs)
      control->GestureScroll(0, delta);
    EXPECT_EQ(control->TrackPositions, c.Positions);
  }
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

// ---------------------------------------------------------------------------
// Faults kept out

// Content that answers differently on every pass never settles; the
// calculation stops after a bounded number of passes instead of hanging.
TEST_F(cxBaseControlTest, AnUnsettledCalculationStops)
{
  TBaseTestControl* control = AddControl();
  control->Oscillate = true;
  control->InitPasses = 0;
  control->UpdateScrollBars();
  EXPECT_GT(control->InitPasses, 1);
  EXPECT_LE(control->InitPasses, 16);
}

// ---------------------------------------------------------------------------
// Capture object, popup menu, context menu, non-client area

class TBaseTestCaptureObject : public TcxIUnknownObject, public IcxMouseCaptureObject {
  RTL_CLASS(TBaseTestCaptureObject, TcxIUnknownObject)
  RTL_INTERFACES(IcxMouseCaptureObject)

 public:
  int Cancels = 0;
  void __stdcall DoCancelMode() override { ++Cancels; }
};

TEST_F(cxBaseControlTest, TheCaptureObjectHearsWhenItLosesTheMouse)
{
  TBaseTestControl* control = AddControl();
  rtl::TOwnedPtr<TBaseTestCaptureObject> first(rtl::New<TBaseTestCaptureObject>());
  rtl::TOwnedPtr<TBaseTestCaptureObject> second(rtl::New<TBaseTestCaptureObject>());
  control->SetMouseCaptureObject(first.get());
  EXPECT_TRUE(control->GetMouseCapture());
  control->SetMouseCaptureObject(first.get());
  EXPECT_EQ(first->Cancels, 0);
  control->SetMouseCaptureObject(second.get());
  EXPECT_EQ(first->Cancels, 1);
  control->Perform(WM_CANCELMODE, 0, 0);
  EXPECT_EQ(second->Cancels, 1);
  EXPECT_EQ(control->GetMouseCaptureObject(), nullptr);
  EXPECT_FALSE(control->GetMouseCapture());
}

TEST_F(cxBaseControlTest, OnlyMenusServeAsPopupMenuAndAFreedMenuIsForgotten)
{
  TBaseTestControl* control = AddControl();
  rtl::TOwnedPtr<rtl::TComponent> other(rtl::New<rtl::TComponent>(nullptr));
  control->SetCxPopupMenu(other.get());
  EXPECT_EQ(control->GetCxPopupMenu(), nullptr);
  auto* menu = rtl::New<vcl::TPopupMenu>(nullptr);
  control->SetCxPopupMenu(menu);
  EXPECT_EQ(control->GetCxPopupMenu(), menu);
  rtl::Free(menu);
  EXPECT_EQ(control->GetCxPopupMenu(), nullptr);
}

TEST_F(cxBaseControlTest, AContextMenuOverAWindowlessBarIsSwallowed)
{
  TBaseTestControl* control = AddControl();
  auto* bar = rtl::New<TcxControlScrollBarHelper>(static_cast<IcxScrollBarOwner*>(control));
  bar->TcxScrollBarHelper::SetBoundsRect(TRect{0, 0, 17, 200});
  bar->TcxScrollBarHelper::SetVisible(true);
  control->GetScrollBarsManager()->RegisterScrollBar(bar);
  const TPoint onBar = control->ClientToScreen(TPoint{8, 50});
  EXPECT_EQ(control->Perform(WM_CONTEXTMENU, 0, MAKELPARAM(onBar.x, onBar.y)), 1);
  control->GetScrollBarsManager()->UnRegisterScrollBar(bar);
  rtl::Free(bar);
}

TEST_F(cxBaseControlTest, PrintsItsNonClientFrame)
{
  auto* control = rtl::New<TBaseTestControl>(FHost.get());
  control->Framed = true;
  control->SetBoundsRect(TRect{0, 0, 50, 40});
  control->SetParent(FHost.get());
  control->HandleNeeded();
  rtl::TOwnedPtr<TcxBitmap> bitmap(rtl::NewWith<TcxBitmap>([](TcxBitmap* B) { B->CreateSize(50, 40); }));
  const HDC dc = bitmap->GetCanvas()->GetHandle();
  bitmap->GetcxCanvas()->FillRect(TRect{0, 0, 50, 40}, vcl::clBlack);
  control->Perform(WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT);
  EXPECT_EQ(PixelOf(dc, 0, 0), RGB(0, 255, 0)) << "the frame";
  EXPECT_EQ(PixelOf(dc, 25, 20), RGB(0, 0, 0)) << "the client area is left alone";
}

// ---------------------------------------------------------------------------
// Scrolling by direction

struct ScrollContentCase {
  const char* Name;
  bool WithScrollBars;
  bool ScrollsWithoutBars;
  TcxDirection Direction;
  std::vector<std::pair<TScrollBarKind, TScrollCode>> Scrolls;
};

TEST_F(cxBaseControlTest, ScrollContentStepsTheBarOfTheDirection)
{
  const ScrollContentCase cases[] = {
      {"none does nothing", true, false, TcxDirection::dirNone, {}},
      {"left is a line up of the horizontal bar", true, false, TcxDirection::dirLeft, {{sbHorizontal, scLineUp}}},
      {"down is a line down of the vertical bar", true, false, TcxDirection::dirDown, {{sbVertical, scLineDown}}},
      {"without bars only when allowed", false, false, TcxDirection::dirDown, {}},
      {"allowed without bars", false, true, TcxDirection::dirRight, {{sbHorizontal, scLineDown}}},
  };
  for (const ScrollContentCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TBaseTestControl* control = AddControl();
    control->WithScrollBars = c.WithScrollBars;
    control->ScrollsWithoutBars = c.ScrollsWithoutBars;
    control->ScrollContent(c.Direction);
    EXPECT_EQ(control->Scrolls, c.Scrolls);
  }
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

TEST_F(cxBaseControlTest, AControlFreedByItsKeyHandlerIsLeftAlone)
{
  TBaseTestControl* control = AddControl();
  rtl::TOwnedPtr<TBaseTestEvents> events(rtl::New<TBaseTestEvents>());
  events->FreeOnMouseDown = control;
  control->SetOnKeyDown(vcl::TKeyEvent::Bind<&TBaseTestEvents::KeyDown>(events.get()));
  rtl::TFreeWatch watch(control);
  control->Perform(WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_TRUE(watch.Freed());
}

// A change of the system's metrics brings the bars back to their size.
TEST_F(cxBaseControlTest, RemeasuresItsBarsAfterASystemChange)
{
  TBaseTestControl* control = AddControl();
  control->ContentSize = TSize{100, 1000};
  control->UpdateScrollBars();
  control->GetVScrollBar()->SetWidth(5);
  control->InitPasses = 0;
  control->Perform(DXM_RECALCULATESCROLLBARS, 0, 0);
  EXPECT_EQ(control->GetVScrollBar()->GetWidth(), control->GetScrollBarSize().cx);
  EXPECT_GT(control->InitPasses, 0) << "the bounds changed";
}

}  // namespace
