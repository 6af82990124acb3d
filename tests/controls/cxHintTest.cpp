#include "controls/cxHint.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

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

}  // namespace
