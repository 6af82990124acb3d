#include "controls/cxHint.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "controls/cxHintWindow.h"
#include "controls/cxPopupWindow.h"
#include "controls/cxWindowUtils.h"
#include "core/cxGeometry.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "tests/controls/ControlsTestSupport.h"
#include "tests/support/TestHost.h"

namespace {

using A = TcxHintAnimationStyle;

TEST(cxHintWindow, AnimationFollowsTheSystemSettingsAndThePauseSinceTheLastHint)
{
  struct {
    A Style;
    bool Animation, Fade;
    A Expected;
  } const styles[] = {
      {A::cxhaAuto, true, true, A::cxhaFadeIn},       {A::cxhaAuto, true, false, A::cxhaSlideDownward},
      {A::cxhaAuto, false, true, A::cxhaNone},        {A::cxhaSlideFromLeft, false, false, A::cxhaNone},
      {A::cxhaSlideFromLeft, true, true, A::cxhaSlideFromLeft}, {A::cxhaNone, true, true, A::cxhaNone},
  };
  for (const auto& c : styles)
    EXPECT_EQ(cxHintAnimationStyleInForce(c.Style, c.Animation, c.Fade), c.Expected) << static_cast<int>(&c - styles);

  struct {
    DWORD Now, LastActive;
    int Length;
    bool Animated;
  } const pauses[] = {
      {1000, 700, 10, true},   {1000, 750, 10, false},        {1000, 800, 10, false}, {1000, 0, 99, true},
      {1000, 0, 100, false},   {100, 0xFFFFFF00u, 10, true},  {100, 0xFFFFFFF0u, 10, false},
  };
  for (const auto& c : pauses)
    EXPECT_EQ(cxHintCanAnimate(c.Now, c.LastActive, c.Length), c.Animated) << static_cast<int>(&c - pauses);

  EXPECT_EQ(cxHintAnimationFlags(A::cxhaFadeIn), static_cast<DWORD>(AW_SLIDE | AW_BLEND));
  EXPECT_EQ(cxHintAnimationFlags(A::cxhaSlideUpward), static_cast<DWORD>(AW_SLIDE | AW_VER_NEGATIVE));
}

TEST(cxHintWindow, AWindowWiderThanTheWorkAreaKeepsItsLeftEdgeOnTheArea)
{
  rtl::TOwnedPtr<TcxBaseHintWindow> window(rtl::New<TcxBaseHintWindow>(nullptr));
  const TRect area = cxGetWorkAreaAtPoint({10, 10});
  window->SetBounds(area.left + 50, area.top + 20, area.right - area.left + 100, 30);
  EXPECT_EQ(window->GetLeft(), area.left);
  window->SetBounds(area.right - 10, area.bottom - 5, 100, 30);
  EXPECT_EQ(window->GetLeft(), area.right - 100);
  EXPECT_EQ(window->GetTop(), area.bottom - 30);
}

// A plain hint laid out at 144 DPI whatever the monitor is.
class THintTestHelper : public TdxHintViewInfoHelper {
  RTL_CLASS(THintTestHelper, TdxHintViewInfoHelper)

 public:
  void Destroy() override
  {
    rtl::Free(FFactor);
    inherited::Destroy();
  }
  TdxScaleFactor* GetScaleFactor() override
  {
    if (!FFactor) {
      FFactor = rtl::New<TdxScaleFactor>();
      FFactor->Assign(3, 2, false);
    }
    return FFactor;
  }
  TRect TextRect() { return GetTextRect(); }

 private:
  TdxScaleFactor* FFactor = nullptr;
};

TEST(cxHintWindow, APlainHintHasScaledMarginsAndNothingForAnEmptyText)
{
  rtl::TOwnedPtr<TcxBitmap> bitmap(rtl::NewWith<TcxBitmap>([](TcxBitmap* B) { B->CreateSize(300, 60); }));
  vcl::TCanvas* canvas = bitmap->GetCanvas();

  rtl::TOwnedPtr<THintTestHelper> empty(rtl::New<THintTestHelper>(L"", L" (Ctrl+S)", TPoint{10, 10}));
  empty->Calculate(canvas);
  EXPECT_EQ(empty->GetBoundsRect(), (TRect{})) << "a shortcut alone gives no hint";

  rtl::TOwnedPtr<THintTestHelper> hint(rtl::New<THintTestHelper>(L"Save", L" (Ctrl+S)", TPoint{10, 10}));
  EXPECT_EQ(hint->GetText(), L"Save (Ctrl+S)");
  hint->Calculate(canvas);
  TRect text{0, 0, 1000, 0};
  DrawTextW(canvas->GetHandle(), L"Save (Ctrl+S)", -1, &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  // 2 x 3 pixels of margin (2 at 144 DPI) plus the 1-pixel edge on each side.
  EXPECT_EQ(hint->GetBoundsRect(), (TRect{0, 0, text.right + 8, text.bottom + 8}));
  EXPECT_EQ(hint->TextRect(), (TRect{4, 4, text.right + 4, text.bottom + 4}));
}

// A hint window class and style of its own for each of two controllers.
class THintTestWindowA : public TcxCustomHintWindow {
  RTL_CLASS(THintTestWindowA, TcxCustomHintWindow)
};
class THintTestWindowB : public TcxCustomHintWindow {
  RTL_CLASS(THintTestWindowB, TcxCustomHintWindow)
};
class THintTestStyleA : public TcxCustomHintStyle {
  RTL_CLASS(THintTestStyleA, TcxCustomHintStyle)

 public:
  TcxCustomHintWindowClass GetHintWindowClass() override { return TcxCustomHintWindowClass::Of<THintTestWindowA>(); }
  void DoShowHint(rtl::String& HintStr, bool& /*CanShow*/, vcl::THintInfo& /*HintInfo*/) override
  {
    HintStr += L" [A]";
  }
};
class THintTestStyleB : public TcxCustomHintStyle {
  RTL_CLASS(THintTestStyleB, TcxCustomHintStyle)

 public:
  TcxCustomHintWindowClass GetHintWindowClass() override { return TcxCustomHintWindowClass::Of<THintTestWindowB>(); }
};
template <class TStyle>
class THintTestController : public TcxCustomHintStyleController {
  RTL_CLASS(THintTestController, TcxCustomHintStyleController)

 public:
  void Create(rtl::TComponent* AOwner) override
  {
    FHintStyleClass = TcxHintStyleClass::Of<TStyle>();
    inherited::Create(AOwner);
  }
};
using THintTestControllerA = THintTestController<THintTestStyleA>;
using THintTestControllerB = THintTestController<THintTestStyleB>;

// Records the application's own show-hint event.
struct THintTestAppHandler {
  int Calls = 0;
  void Handle(rtl::String& /*HintStr*/, bool& /*CanShow*/, vcl::THintInfo& /*HintInfo*/) { ++Calls; }
};

TEST(cxHintController, ControllersTakeOverTheWindowClassAndTheShowHintEventAndGiveThemBack)
{
  vcl::TApplication* application = vcl::Application();
  const vcl::THintWindowClass original = application->GetHintWindowClass();
  THintTestAppHandler appHandler;
  application->SetOnShowHint(vcl::TShowHintEvent::Bind<&THintTestAppHandler::Handle>(&appHandler));
  EXPECT_EQ(cxGetHintWindowClass(), original) << "no controller: the framework's class";

  rtl::TOwnedPtr<THintTestControllerA> first(rtl::New<THintTestControllerA>(nullptr));
  rtl::TOwnedPtr<THintTestControllerB> second(rtl::New<THintTestControllerB>(nullptr));
  EXPECT_EQ(application->GetHintWindowClass(), vcl::THintWindowClass::Of<THintTestWindowB>());
  EXPECT_EQ(cxGetHintStyleController(), second.get()) << "the last global one";

  // The road of a hint: the active controller's style, then the saved event.
  second.reset();
  EXPECT_EQ(application->GetHintWindowClass(), vcl::THintWindowClass::Of<THintTestWindowA>());
  rtl::String text = L"Hint";
  bool canShow = true;
  vcl::THintInfo info{};
  application->GetOnShowHint()(text, canShow, info);
  EXPECT_EQ(text, L"Hint [A]");
  EXPECT_EQ(info.HintWindowClass, vcl::THintWindowClass::Of<THintTestWindowA>());
  EXPECT_EQ(appHandler.Calls, 1);

  first.reset();
  EXPECT_EQ(application->GetHintWindowClass(), original);
  application->GetOnShowHint()(text, canShow, info);
  EXPECT_EQ(appHandler.Calls, 2) << "the application's own event is back";
  application->SetOnShowHint({});
}

class cxHintControllerHostedTest : public kvtest::THostedTest {};

// A panel that another component manages.
class THintTestManagedPanel : public kvtest::TTestPanel, public IdxManagedObject {
  RTL_CLASS(THintTestManagedPanel, kvtest::TTestPanel)
  RTL_INTERFACES(IdxManagedObject)

 public:
  rtl::TObject* __stdcall GetManager() override { return Manager; }
  rtl::TObject* Manager = nullptr;
};

TEST_F(cxHintControllerHostedTest, ANonGlobalControllerServesOnlyTheControlsOfItsOwner)
{
  auto* inside = AddChild<kvtest::TTestPanel>({10, 10, 60, 30});
  rtl::TOwnedPtr<kvtest::TTestHost> other(rtl::New<kvtest::TTestHost>(nullptr));
  auto* outside = rtl::New<kvtest::TTestPanel>(other.get());
  outside->SetParent(other.get());
  auto* controller = rtl::New<THintTestControllerA>(FHost.get());
  controller->SetGlobal(false);

  TcxHintController* hints = cxGetHintController();
  hints->SetHintedControl(inside);
  EXPECT_EQ(cxGetHintStyleController(), controller);
  hints->SetHintedControl(outside);
  EXPECT_EQ(cxGetHintStyleController(), nullptr);

  // A control outside the owner's windows that the owner manages.
  auto* managed = rtl::New<THintTestManagedPanel>(other.get());
  managed->SetParent(other.get());
  hints->SetHintedControl(managed);
  EXPECT_EQ(cxGetHintStyleController(), nullptr) << "no manager";
  managed->Manager = FHost.get();
  EXPECT_EQ(cxGetHintStyleController(), controller) << "the manager's controller";
  managed->Manager = other.get();
  EXPECT_EQ(cxGetHintStyleController(), nullptr) << "only the manager itself is searched";

  hints->SetHintedControl(outside);
  controller->SetGlobal(true);
  EXPECT_EQ(cxGetHintStyleController(), controller);
  cxResetHintedControl();
  rtl::Free(controller);
}

// A popup frame of each style: KV_RENDER_DIR=<folder> writes
// PopupFramesAndHints.png there, with a plain hint below.
class THintTestPopup : public TcxPopupWindow {
  RTL_CLASS(THintTestPopup, TcxPopupWindow)

 public:
  void PaintOn(HDC ADC) { PaintWindow(ADC); }
};

TEST(cxHintWindow, RendersPopupFramesAndAPlainHintForReview)
{
  rtl::TOwnedPtr<TcxBitmap> bitmap(rtl::NewWith<TcxBitmap>([](TcxBitmap* B) { B->CreateSize(260, 120); }));
  const HDC dc = bitmap->GetcxCanvas()->GetHandle();
  bitmap->GetcxCanvas()->FillRect(bitmap->GetClientRect(), vcl::clWindow);
  int left = 10;
  for (TcxPopupBorderStyle style : {TcxPopupBorderStyle::pbsUltraFlat, TcxPopupBorderStyle::pbsFlat,
                                    TcxPopupBorderStyle::pbs3D}) {
    rtl::TOwnedPtr<THintTestPopup> popup(rtl::New<THintTestPopup>());
    popup->SetPopupBorderStyle(style);
    popup->SetFrameColor(vcl::clNavy);
    popup->SetBounds(0, 0, 70, 50);
    SetViewportOrgEx(dc, left, 10, nullptr);
    popup->PaintOn(dc);
    left += 80;
  }
  SetViewportOrgEx(dc, 0, 0, nullptr);
  EXPECT_EQ(GetPixel(dc, 10, 30), static_cast<COLORREF>(vcl::ColorToRGB(vcl::clNavy))) << "the ultra-flat frame";

  rtl::TOwnedPtr<THintTestHelper> hint(rtl::New<THintTestHelper>(L"Copies the text", L" (Ctrl+C)", TPoint{10, 10}));
  SetViewportOrgEx(dc, 10, 70, nullptr);
  hint->Calculate(bitmap->GetCanvas());
  bitmap->GetcxCanvas()->FillRect(hint->GetBoundsRect(), vcl::clInfoBk);
  hint->Paint(bitmap->GetCanvas());
  SetViewportOrgEx(dc, 0, 0, nullptr);

  const rtl::TOwnedPtr<TdxPNGImage> png(rtl::New<TdxPNGImage>());
  png->LoadFromBitmap(bitmap.get());
  if (const char* folder = std::getenv("KV_RENDER_DIR"))
    png->SaveToFile(std::wstring(folder, folder + std::strlen(folder)) + L"\\PopupFramesAndHints.png");
}

// ---------------------------------------------------------------------------
// The hint helper

// An element of a control: its hint stays over its text or follows the
// mouse, and hides after the pause or not.
class THintTestElement : public TcxIUnknownObject, public IcxHintableObject {
  RTL_CLASS(THintTestElement, TcxIUnknownObject)
  RTL_INTERFACES(IcxHintableObject)

 public:
  void Create(bool AAtMousePos, bool AUseHidePause)
  {
    FAtMousePos = AAtMousePos;
    FUseHidePause = AUseHidePause;
  }
  bool __stdcall HasHintPoint(const TPoint& P) override { return P.x < 100; }
  bool __stdcall IsHintAtMousePos() override { return FAtMousePos; }
  bool __stdcall UseHintHidePause() override { return FUseHidePause; }

 private:
  bool FAtMousePos = false;
  bool FUseHidePause = true;
};

// A helper without an owner control (screen coordinates), with its own mouse
// and a plain hint window; the tests tick its timers themselves.
class THintTestHintHelper : public TcxCustomHintHelper {
  RTL_CLASS(THintTestHintHelper, TcxCustomHintHelper)

 public:
  void Tick(bool AHideTimer) { AHideTimer ? HintHideTimerHandler(this) : HintCheckerTimerHandler(this); }
  bool HideTimerRunning() const { return GetHintHideTimer() && GetHintHideTimer()->GetEnabled(); }
  bool CheckerRunning() const { return GetHintCheckerTimer() && GetHintCheckerTimer()->GetEnabled(); }
  bool HintVisible() const
  {
    return GetHintWindow() && GetHintWindow()->HandleAllocated() && IsWindowVisible(GetHintWindow()->GetHandle());
  }
  TRect WindowRect(const TRect& ATextRect, bool AMultiLine, const rtl::String& AText)
  {
    if (!GetHintWindow())
      ShowHint(ATextRect, ATextRect, AText, AMultiLine, this);
    return CalculateHintWindowRect(ATextRect, ATextRect, AMultiLine, AText);
  }

  TPoint Mouse{200, 200};
  bool ButtonDown = false;

 protected:
  bool IsMouseButtonDown() override { return ButtonDown; }
  bool CanOwnerShowHint() override { return true; }
  TPoint GetMouseCursorPos() override { return Mouse; }
  vcl::THintWindowClass GetHintWindowClass() override { return vcl::THintWindowClass::Of<TcxBaseHintWindow>(); }
};

enum class THintTestStep { Show, Move, Press, Release, CheckTick, HideTick, Leave };

TEST(cxHintHelper, ShowsKeepsMovesAndHidesTheHintsOfElements)
{
  using S = THintTestStep;
  rtl::TOwnedPtr<THintTestElement> overText(rtl::New<THintTestElement>(false, true));
  rtl::TOwnedPtr<THintTestElement> atMouse(rtl::New<THintTestElement>(true, true));
  rtl::TOwnedPtr<THintTestElement> noPause(rtl::New<THintTestElement>(false, false));
  rtl::TOwnedPtr<rtl::TObject> plain(rtl::New<rtl::TObject>());
  // The last one is no element: the control as a whole.
  rtl::TObject* const elements[] = {overText.get(), atMouse.get(), noPause.get(), plain.get(), nullptr};

  struct TStep {
    S Step;
    int Element;  // the element shown, or the mouse's x for Move
    const wchar_t* Text;
    bool Visible, HideTimer;
    int Hinted;  // the element hinted now, -1 for none
  };
  struct {
    const char* Name;
    std::vector<TStep> Steps;
  } const scenarios[] = {
      {"resting on an element",
       {{S::Show, 0, L"Save", true, true, 0},
        {S::Show, 0, L"Save", true, true, 0},
        {S::HideTick, 0, nullptr, false, false, -1},
        {S::Show, 0, L"Save", false, false, -1},
        {S::Show, 0, L"Save all", false, false, -1},
        {S::Show, 0, L"Save all", true, true, 0}}},
      {"another element cancels the first",
       {{S::Show, 0, L"Save", true, true, 0},
        {S::Show, 1, L"Open", true, true, 1},
        {S::HideTick, 0, nullptr, false, false, -1},
        {S::Show, 0, L"Save", true, true, 0}}},
      {"a pressed button ends the hint at the next check",
       {{S::Show, 0, L"Save", true, true, 0},
        {S::CheckTick, 0, nullptr, true, true, 0},
        {S::Press, 0, nullptr, true, true, 0},
        {S::CheckTick, 0, nullptr, false, false, -1},
        {S::Show, 0, L"Save", false, false, -1},
        {S::Release, 0, nullptr, false, false, -1},
        {S::Show, 0, L"Save", true, true, 0}}},
      {"a hint at the mouse follows it and restarts the pause",
       {{S::Show, 1, L"Cell", true, true, 1},
        {S::Show, 1, L"Cell", true, true, 1},
        {S::Move, 240, nullptr, true, true, 1},
        {S::Show, 1, L"Cell", true, true, 1},
        {S::HideTick, 0, nullptr, false, false, -1},
        {S::Move, 260, nullptr, false, false, -1},
        {S::Show, 1, L"Cell", false, false, -1}}},
      {"leaving the area forgets the element",
       {{S::Show, 0, L"Save", true, true, 0},
        {S::Leave, 0, nullptr, false, false, -1},
        {S::Show, 0, L"Save", true, true, 0}}},
      {"the control as a whole shows at once and then rests",
       {{S::Show, 4, L"Panel", true, true, 4},
        {S::Show, 4, L"Panel", true, true, 4},
        {S::HideTick, 0, nullptr, false, false, -1},
        {S::Show, 4, L"Panel", false, false, -1}}},
      {"without the hide pause the hint comes back",
       {{S::Show, 2, L"Name", true, false, 2},
        {S::Show, 3, L"Plain", true, false, 3},
        {S::Show, 3, L"Plain", true, false, 3}}},
  };
  for (const auto& scenario : scenarios) {
    rtl::TOwnedPtr<THintTestHintHelper> helper(rtl::New<THintTestHintHelper>());
    int index = 0;
    for (const TStep& step : scenario.Steps) {
      const TRect text{150, 150, 230, 166};
      switch (step.Step) {
        case S::Show:
          helper->ShowHint({140, 140, 300, 180}, text, step.Text, false, elements[step.Element]);
          break;
        case S::Move:
          helper->Mouse.x = step.Element;
          break;
        case S::Press:
        case S::Release:
          helper->ButtonDown = step.Step == S::Press;
          break;
        case S::CheckTick:
        case S::HideTick:
          helper->Tick(step.Step == S::HideTick);
          break;
        case S::Leave:
          helper->MouseLeave();
          break;
      }
      const std::string where = std::string(scenario.Name) + ", step " + std::to_string(index++);
      EXPECT_EQ(helper->HintVisible(), step.Visible) << where;
      EXPECT_EQ(helper->HideTimerRunning(), step.HideTimer) << where;
      EXPECT_EQ(helper->CheckerRunning(), step.Visible) << where;
      EXPECT_EQ(helper->GetHintableObject(), step.Hinted < 0 ? nullptr : elements[step.Hinted]) << where;
    }
  }
}

TEST(cxHintHelper, TheMouseStaysInsideTheElementOrElseTheArea)
{
  rtl::TOwnedPtr<THintTestElement> element(rtl::New<THintTestElement>(false, true));
  rtl::TOwnedPtr<rtl::TObject> plain(rtl::New<rtl::TObject>());
  rtl::TOwnedPtr<THintTestHintHelper> helper(rtl::New<THintTestHintHelper>());
  const TRect area{140, 140, 300, 180};
  helper->ShowHint(area, {150, 150, 230, 166}, L"Save", false, element.get());
  EXPECT_TRUE(helper->PtInCaller({50, 500})) << "the element answers, not the area";
  EXPECT_FALSE(helper->PtInCaller({150, 150}));
  helper->ShowHint(area, {150, 150, 230, 166}, L"Plain", false, plain.get());
  EXPECT_FALSE(helper->PtInCaller({150, 150})) << "an element that cannot answer holds no point";
  helper->CancelHint();
  EXPECT_FALSE(helper->PtInCaller({150, 150})) << "no area, no owner: nothing";
}

TEST(cxHintHelper, TheWindowStandsOverTheTextInsideTheWorkArea)
{
  rtl::TOwnedPtr<THintTestHintHelper> helper(rtl::New<THintTestHintHelper>());
  const TRect area = cxGetWorkAreaAtPoint({100, 100});
  const rtl::String text = L"Several words that make a long hint text";
  struct {
    const char* Name;
    TRect TextRect;  // relative to the work area's top-left or, with FromRight, to its right and bottom
    bool FromRight, MultiLine;
  } const cases[] = {
      {"over the text", {40, 30, 120, 46}, false, false},
      {"wrapped at the text width", {40, 30, 120, 46}, false, true},
      {"pushed back from the right and bottom edges", {-20, -10, 60, 6}, true, false},
  };
  for (const auto& c : cases) {
    TRect textRect = c.TextRect;
    if (c.FromRight)
      OffsetRect(&textRect, area.right, area.bottom);
    else
      OffsetRect(&textRect, area.left, area.top);
    const TRect r = helper->WindowRect(textRect, c.MultiLine, text);
    const int width = r.right - r.left;
    EXPECT_GE(r.left, area.left) << c.Name;
    EXPECT_LE(r.right, area.right) << c.Name;
    EXPECT_LE(r.bottom, area.bottom) << c.Name;
    if (c.FromRight) {
      EXPECT_EQ(r.right, area.right) << c.Name;
    } else {
      EXPECT_EQ(r.left, textRect.left - 2) << c.Name << ": the text lands on the text rectangle";
    }
    if (c.MultiLine) {
      EXPECT_LE(width, textRect.right - textRect.left + 6) << c.Name;
    } else {
      EXPECT_GT(width, 150) << c.Name << ": one line";
    }
  }
}

// Hint information of a custom hint: the application's event sees it and
// may change it or refuse the hint.
struct THintTestInfoHandler {
  bool Refuse = false;
  bool Change = false;
  vcl::THintInfo Seen{};
  void Handle(rtl::String& HintStr, bool& CanShow, vcl::THintInfo& HintInfo)
  {
    Seen = HintInfo;
    if (Refuse)
      CanShow = false;
    if (Change) {
      HintStr = L"Changed text";
      HintInfo.HintPos = {300, 200};
    }
  }
};

TEST(cxHintHelper, HintInformationGoesThroughTheApplicationsEvent)
{
  vcl::TApplication* application = vcl::Application();
  struct {
    bool HasEvent, Refuse, Change;
    bool CanShow, NewWindow, Moved;
  } const cases[] = {
      {false, false, false, true, false, false},
      {true, false, false, true, false, false},
      {true, true, false, false, false, false},
      {true, false, true, true, true, true},
  };
  const rtl::TOwnedPtr<rtl::TObject> data(rtl::New<rtl::TObject>());
  for (const auto& c : cases) {
    THintTestInfoHandler handler{c.Refuse, c.Change};
    application->SetOnShowHint(c.HasEvent ? vcl::TShowHintEvent::Bind<&THintTestInfoHandler::Handle>(&handler)
                                          : vcl::TShowHintEvent{});
    vcl::THintWindow* window = nullptr;
    vcl::THintInfo info{};
    TRect r{10, 20, 60, 40};
    const int at = static_cast<int>(&c - cases);
    EXPECT_EQ(cxPrepareHintInfo(info, window, nullptr, 0, data.get(), r, L"Text"), c.CanShow) << at;
    EXPECT_EQ(window != nullptr, c.NewWindow) << at;
    EXPECT_EQ(info.HideTimeout, application->GetHintHidePause()) << at;
    if (c.HasEvent) {
      EXPECT_EQ(handler.Seen.HintStr, L"Text") << at;
      EXPECT_EQ(handler.Seen.HintData, data.get()) << at;
      EXPECT_EQ(handler.Seen.ReshowTimeout, 0) << at;
    }
    if (c.Moved) {
      EXPECT_EQ(info.HintStr, L"Changed text") << at;
      EXPECT_EQ(r.left, 300) << at;
      EXPECT_EQ(r.top, 200) << at;
    } else {
      EXPECT_EQ(info.HintPos, (TPoint{10, 20})) << at;
      EXPECT_EQ(r, (TRect{10, 20, 60, 40})) << at;
    }
    rtl::Free(window);
  }
  application->SetOnShowHint({});
  vcl::THintWindow* window = nullptr;
  vcl::THintInfo info{};
  TRect r{};
  cxPrepareHintInfo(info, window, nullptr, 700, nullptr, r, L"Text");
  EXPECT_EQ(info.HideTimeout, 700);
}

}  // namespace
