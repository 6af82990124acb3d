// The skinning engine on real windows: attaching and detaching across handle
// re-creation, the client offsets of WM_NCCALCSIZE, the hit-test zones,
// caption-button clicks, the scroll-bar drag guard, and a rendering of a
// skinned form for people to look at (SkinnedForm.png in KV_RENDER_DIR).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "core/dxCore.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxGDIPlusClasses.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/GraphicsHandles.h"
#include "platform/vcl/StdCtrls.h"
#include "skins/dxSkinOffice2016Dark.h"
#include "skins/dxSkinVisualStudio2013Dark.h"
#include "skins/dxSkinsForm.h"
#include "skins/dxSkinsLookAndFeelPainter.h"
#include "tests/skins/SkinsTestSupport.h"

namespace {

using vcl::TFormBorderStyle;

// The skins the tests name: their units register the painters, and a unit
// is linked only when something refers to it.
[[gnu::used]] const rtl::UnitInfo* const dxSkinsFormTestSkins[] = {&unit_dxSkinVisualStudio2013Dark,
                                                                   &unit_dxSkinOffice2016Dark};

// Enough rounds for the posted messages of the engine (region, redraw).
void SkinsFormPump()
{
  for (int i = 0; i < 5; ++i)
    vcl::Application()->ProcessMessages();
}

class dxSkinsFormTest : public testing::Test {
 protected:
  void SetUp() override
  {
    ASSERT_NE(dxSkinControllers(), nullptr) << "the engine started";
    cxGetRootLookAndFeel()->SetSkinName(L"VisualStudio2013Dark");
  }

  void TearDown() override
  {
    FForm.reset();
    FController.reset();
    cxGetRootLookAndFeel()->Reset();
    SkinsFormPump();
  }

  void CreateSkinController()
  {
    FController.reset(rtl::New<TdxSkinController>(nullptr));
    FController->SetSkinName(L"VisualStudio2013Dark");
    FController->SetNativeStyle(false);
  }

  vcl::TForm* CreateForm(TFormBorderStyle AStyle = TFormBorderStyle::bsSizeable)
  {
    FForm.reset(rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(nullptr); }));
    FForm->SetBorderStyle(AStyle);
    FForm->SetBounds(100, 100, 320, 200);
    FForm->SetCaption(L"Kelvaro");
    FForm->Show();
    SkinsFormPump();
    return FForm.get();
  }

  TdxSkinCustomFormController* FormController() const
  {
    auto* controller = dxSkinnedControllers()->GetControllerByControl(FForm.get());
    return rtl::Is<TdxSkinCustomFormController>(controller) ? static_cast<TdxSkinCustomFormController*>(controller)
                                                            : nullptr;
  }

  TRect WindowRect() const
  {
    RECT R{};
    GetWindowRect(FForm->GetHandle(), &R);
    return R;
  }

  // Where the client area starts and ends inside the window rectangle.
  TRect ClientOffsets() const
  {
    const TRect window = WindowRect();
    RECT client{};
    GetClientRect(FForm->GetHandle(), &client);
    POINT origin{0, 0};
    ClientToScreen(FForm->GetHandle(), &origin);
    return TRect(origin.x - window.left, origin.y - window.top, window.right - origin.x - client.right,
                 window.bottom - origin.y - client.bottom);
  }

  int HitTestAt(int X, int Y) const
  {
    const TRect window = WindowRect();
    return static_cast<int>(
        SendMessageW(FForm->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(window.left + X, window.top + Y)));
  }

  TPoint IconCenter(TdxSkinFormIcon AIcon) const
  {
    TdxSkinFormIconInfo* info = nullptr;
    EXPECT_TRUE(FormController()->GetViewInfo()->GetIconInfoList()->Find(AIcon, info));
    const TRect& R = info ? info->FHitBounds : TRect{};
    return TPoint((R.left + R.right) / 2, (R.top + R.bottom) / 2);
  }

  // A press and release on a caption button, as the system delivers them.
  void ClickCaptionButton(TdxSkinFormIcon AIcon)
  {
    // An unskinned frame would enter the system's own button tracking loop.
    ASSERT_TRUE(FormController() && FormController()->GetUseSkin());
    const TPoint P = IconCenter(AIcon);
    const TRect window = WindowRect();
    SetCursorPos(window.left + P.x, window.top + P.y);
    const HWND handle = FForm->GetHandle();
    const int hitTest = HitTestAt(P.x, P.y);
    const LPARAM pos = MAKELPARAM(window.left + P.x, window.top + P.y);
    SendMessageW(handle, WM_NCMOUSEMOVE, hitTest, pos);
    SendMessageW(handle, WM_NCLBUTTONDOWN, hitTest, pos);
    if (IsWindow(handle))
      SendMessageW(handle, WM_NCLBUTTONUP, hitTest, pos);
    SkinsFormPump();
  }

  rtl::TOwnedPtr<TdxSkinController> FController;
  rtl::TOwnedPtr<vcl::TForm> FForm;
};

TEST_F(dxSkinsFormTest, FormsAreSkinnedOnlyWhileASkinControllerExists)
{
  CreateForm();
  ASSERT_NE(FormController(), nullptr) << "every form gets a controller";
  EXPECT_FALSE(FormController()->GetUseSkin()) << "a root skin name alone skins nothing";
  EXPECT_FALSE(FormController()->IsHooked());

  CreateSkinController();
  SkinsFormPump();
  EXPECT_TRUE(FormController()->GetUseSkin()) << "creating a controller skins the existing form at once";
  EXPECT_TRUE(FormController()->IsHooked());

  FController.reset();
  SkinsFormPump();
  EXPECT_FALSE(FormController()->GetUseSkin()) << "the last controller gone, the form is unskinned";
  EXPECT_FALSE(FormController()->IsHooked());
}

TEST_F(dxSkinsFormTest, RecreatingTheWindowKeepsTheController)
{
  CreateSkinController();
  CreateForm();
  TdxSkinCustomFormController* controller = FormController();
  ASSERT_NE(controller, nullptr);
  const HWND before = FForm->GetHandle();
  const int count = dxSkinnedControllers()->GetCount();
  rtl::TFreeWatch watch(controller);

  FForm->SetBorderStyle(TFormBorderStyle::bsSingle);
  SkinsFormPump();
  ASSERT_NE(FForm->GetHandle(), before) << "the window was re-created";
  ASSERT_FALSE(watch.Freed());
  EXPECT_EQ(FormController(), controller);
  EXPECT_EQ(controller->GetHandle(), FForm->GetHandle());
  EXPECT_TRUE(controller->IsHooked());
  EXPECT_EQ(dxSkinnedControllers()->GetCount(), count);

  const HWND handle = FForm->GetHandle();
  FForm.reset();
  EXPECT_EQ(dxSkinnedControllers()->GetControllerByHandle(handle), nullptr) << "destroying frees the controller";
}

TEST_F(dxSkinsFormTest, OnSkinFormAndControllerOrderDecide)
{
  struct TdxSkinsFormDecider {
    bool UseSkin;
    rtl::String SkinName;
    int Calls = 0;
    void Decide(rtl::TObject*, vcl::TCustomForm*, rtl::String& AName, bool& AUseSkin)
    {
      ++Calls;
      AUseSkin = UseSkin;
      if (!SkinName.empty())
        AName = SkinName;
    }
  };
  CreateSkinController();
  rtl::TOwnedPtr<TdxSkinController> later(rtl::New<TdxSkinController>(nullptr));
  TdxSkinsFormDecider first{true, L"Office2016Dark"};
  TdxSkinsFormDecider second{false, L"NoSuchSkin"};
  FController->SetOnSkinForm(TdxSkinFormEvent::Bind<&TdxSkinsFormDecider::Decide>(&first));
  later->SetOnSkinForm(TdxSkinFormEvent::Bind<&TdxSkinsFormDecider::Decide>(&second));
  CreateForm();
  ASSERT_NE(FormController(), nullptr);
  EXPECT_GT(second.Calls, 0) << "the later controller is asked first";
  ASSERT_NE(FormController()->GetLookAndFeelPainter(), nullptr) << "the earlier one turned the skin back on";
  EXPECT_EQ(FormController()->GetLookAndFeelPainter()->LookAndFeelName(), L"Office2016Dark");
  rtl::String name;
  EXPECT_TRUE(TdxSkinController::GetFormSkin(FForm.get(), name));
  EXPECT_EQ(name, L"Office2016Dark");
}

TEST_F(dxSkinsFormTest, SkinFormOwnsItsControllerWithoutTheHook)
{
  CreateSkinController();
  rtl::TOwnedPtr<TdxSkinForm> form(rtl::NewWith<TdxSkinForm>([](TdxSkinForm* F) { F->CreateNew(nullptr); }));
  form->SetBounds(100, 100, 300, 200);
  form->Show();
  SkinsFormPump();
  TdxSkinFormController* controller = form->GetController();
  ASSERT_NE(controller, nullptr);
  EXPECT_EQ(SendMessageW(form->GetHandle(), SKM_HASOWNENGINE, 0, 0), 1);
  EXPECT_EQ(dxSkinnedControllers()->GetControllerByHandle(form->GetHandle()), controller) << "listed once, its own";
  EXPECT_TRUE(controller->GetUseSkin());
  EXPECT_FALSE(controller->IsHooked()) << "it sits in front of the form's procedure, not in a chain";
  EXPECT_FALSE(controller->CanFreeOnDestroy());
  const HWND handle = form->GetHandle();
  form.reset();
  EXPECT_EQ(dxSkinnedControllers()->GetControllerByHandle(handle), nullptr);
}

TEST_F(dxSkinsFormTest, NativeStyleLeavesFormsAlone)
{
  CreateSkinController();
  FController->SetNativeStyle(true);
  CreateForm();
  EXPECT_FALSE(FormController()->GetUseSkin());
}

TEST_F(dxSkinsFormTest, ClientAreaIsTheWindowLessTheSkinsFrame)
{
  struct TdxSkinsFormCalcCase {
    TFormBorderStyle Style;
    bool HasCaption;
  };
  const TdxSkinsFormCalcCase cases[] = {{TFormBorderStyle::bsSizeable, true},
                                       {TFormBorderStyle::bsSingle, true},
                                       {TFormBorderStyle::bsDialog, true},
                                       {TFormBorderStyle::bsToolWindow, true},
                                       {TFormBorderStyle::bsNone, false}};
  CreateSkinController();
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Style));
    CreateForm(c.Style);
    TdxSkinCustomFormController* controller = FormController();
    ASSERT_TRUE(controller && controller->GetUseSkin());
    TdxSkinFormNonClientAreaInfo* info = controller->GetViewInfo();
    const TRect offsets = ClientOffsets();
    if (c.Style == TFormBorderStyle::bsNone) {
      EXPECT_EQ(offsets, TRect(0, 0, 0, 0)) << "no border, no skinned frame";
      continue;
    }
    // The skin's own bands, not the system's.
    const int left = info->GetSkinBorderWidth(TcxBorder::bLeft);
    const int right = info->GetSkinBorderWidth(TcxBorder::bRight);
    const int bottom = info->GetSkinBorderWidth(TcxBorder::bBottom);
    EXPECT_GT(left, 0);
    EXPECT_EQ(offsets, TRect(left, info->CalculateCaptionHeight(), right, bottom));
    EXPECT_GE(info->CalculateCaptionHeight(), info->GetCaptionTextHeight()) << "the caption text fits";
  }
}

// A form is laid out for its client area: the skin's frame, taller or
// thinner than the system's, moves the window's edges and leaves the client
// area as designed, when the skin comes and when it goes.
TEST_F(dxSkinsFormTest, SkinningKeepsTheClientSize)
{
  auto clientSize = [this] {
    RECT R{};
    GetClientRect(FForm->GetHandle(), &R);
    return TSize{R.right, R.bottom};
  };
  FForm.reset(rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(nullptr); }));
  FForm->SetCaption(L"Kelvaro");
  FForm->Show();
  FForm->SetClientWidth(300);
  FForm->SetClientHeight(180);
  SkinsFormPump();
  ASSERT_EQ(clientSize().cy, 180);
  const struct {
    const char* Name;
    bool Skinned;
  } steps[] = {{"the skin comes", true}, {"the skin goes", false}, {"the skin comes again", true}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.Name);
    if (step.Skinned)
      CreateSkinController();
    else
      FController.reset();
    SkinsFormPump();
    ASSERT_EQ(FormController()->GetUseSkin(), step.Skinned);
    EXPECT_EQ(clientSize().cx, 300);
    EXPECT_EQ(clientSize().cy, 180);
    EXPECT_EQ(FForm->GetClientHeight(), 180);
  }
}

TEST_F(dxSkinsFormTest, HitTestZones)
{
  CreateSkinController();
  CreateForm();
  TdxSkinFormNonClientAreaInfo* info = FormController()->GetViewInfo();
  const TRect bounds = info->FWindowBounds;
  const int caption = info->FBorderWidths.top;
  const int w = bounds.right;
  const int h = bounds.bottom;
  const TPoint close = IconCenter(TdxSkinFormIcon::sfiClose);
  const TPoint minimize = IconCenter(TdxSkinFormIcon::sfiMinimize);
  const TPoint maximize = IconCenter(TdxSkinFormIcon::sfiMaximize);
  struct TdxSkinsFormHitCase {
    int X, Y, Expected;
    const char* What;
  };
  const TdxSkinsFormHitCase cases[] = {
      {1, 1, HTTOPLEFT, "top-left corner"},
      {3, caption - 2, HTTOPLEFT, "the leftmost strip of the caption sizes diagonally"},
      {w - 2, 1, HTTOPRIGHT, "top-right corner, over the close button's edge"},
      {1, h - 2, HTBOTTOMLEFT, "bottom-left corner"},
      {w - 2, h - 2, HTBOTTOMRIGHT, "bottom-right corner"},
      {1, h / 2, HTLEFT, "left border"},
      {w - 2, h / 2, HTRIGHT, "right border"},
      {w / 2, h - 2, HTBOTTOM, "bottom border"},
      {w / 2, 1, HTTOP, "top edge"},
      {w / 3, caption / 2, HTCAPTION, "caption"},
      {close.x, close.y, HTCLOSE, "close button"},
      {minimize.x, minimize.y, HTMINBUTTON, "minimize button"},
      {maximize.x, maximize.y, HTMAXBUTTON, "maximize button"},
      {w / 2, h / 2, HTCLIENT, "client area, from the default procedure"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(HitTestAt(c.X, c.Y), c.Expected) << c.What << " at (" << c.X << ", " << c.Y << ")";
}

TEST_F(dxSkinsFormTest, CaptionButtonsFollowTheWindowStyle)
{
  struct TdxSkinsFormIconsCase {
    TFormBorderStyle Style;
    vcl::TBorderIcons BorderIcons;
    TdxSkinFormIcons Expected;
  };
  using I = TdxSkinFormIcon;
  using B = vcl::TBorderIcon;
  const TdxSkinsFormIconsCase cases[] = {
      {TFormBorderStyle::bsSizeable, {B::biSystemMenu, B::biMinimize, B::biMaximize},
       {I::sfiMenu, I::sfiClose, I::sfiMinimize, I::sfiMaximize}},
      {TFormBorderStyle::bsDialog, {B::biSystemMenu}, {I::sfiClose}},
      {TFormBorderStyle::bsDialog, {B::biSystemMenu, B::biHelp}, {I::sfiClose, I::sfiHelp}},
      {TFormBorderStyle::bsToolWindow, {B::biSystemMenu}, {I::sfiClose}},
  };
  CreateSkinController();
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Style));
    FForm.reset(rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(nullptr); }));
    FForm->SetBorderStyle(c.Style);
    FForm->SetBorderIcons(c.BorderIcons);
    FForm->SetBounds(100, 100, 320, 200);
    FForm->Show();
    SkinsFormPump();
    ASSERT_NE(FormController(), nullptr);
    FormController()->RecalculateViewInfo();
    EXPECT_TRUE(FormController()->GetViewInfo()->GetIcons() == c.Expected);
  }
}

TEST_F(dxSkinsFormTest, IconicButtonsAreSquare)
{
  CreateSkinController();
  CreateForm();
  TdxSkinFormNonClientAreaInfo* info = FormController()->GetViewInfo();
  ShowWindow(FForm->GetHandle(), SW_MINIMIZE);
  SkinsFormPump();
  FormController()->RecalculateViewInfo();
  EXPECT_EQ(info->GetCaptionButtonSize(TRect(0, 0, 50, 18), info->GetIconElement(TdxSkinFormIcon::sfiClose)),
            (TSize{18, 18}));
  TdxSkinFormIconInfo* restore = nullptr;
  EXPECT_TRUE(info->GetIconInfoList()->Find(TdxSkinFormIcon::sfiRestore, restore))
      << "a minimized window restores from the minimize slot";
}

TEST_F(dxSkinsFormTest, CaptionButtonsRespondToClicks)
{
  CreateSkinController();
  CreateForm();
  ClickCaptionButton(TdxSkinFormIcon::sfiMinimize);
  EXPECT_TRUE(IsIconic(FForm->GetHandle())) << "minimize minimizes";

  ShowWindow(FForm->GetHandle(), SW_RESTORE);
  SkinsFormPump();
  ASSERT_FALSE(IsIconic(FForm->GetHandle()));
  ClickCaptionButton(TdxSkinFormIcon::sfiClose);
  EXPECT_FALSE(FForm->GetVisible()) << "close closes";
}

// A form controller whose vertical scroll bar has no room beside its thumb:
// the thumb fills the whole track between the arrows.
class TdxSkinsFormNoRoomController : public TdxSkinFormController {
  RTL_CLASS(TdxSkinsFormNoRoomController, TdxSkinFormController)

 public:
  void RecalculateViewInfo() override
  {
    inherited::RecalculateViewInfo();
    TdxSkinFormScrollBarViewInfo* bar = GetScrollBarsController()->GetScrollBarViewInfo(TScrollBarKind::sbVertical);
    if (!bar->FVisible)
      return;
    const TRect up = bar->GetPartViewInfo(TcxScrollBarPart::sbpLineUp)->FBounds;
    const TRect down = bar->GetPartViewInfo(TcxScrollBarPart::sbpLineDown)->FBounds;
    bar->GetPartViewInfo(TcxScrollBarPart::sbpPageUp)->FBounds = TRect{};
    bar->GetPartViewInfo(TcxScrollBarPart::sbpPageDown)->FBounds = TRect{};
    TdxSkinFormScrollBarPartViewInfo* thumb = bar->GetPartViewInfo(TcxScrollBarPart::sbpThumbnail);
    thumb->FVisible = true;
    thumb->FBounds = TRect(bar->FBounds.left, up.bottom, bar->FBounds.right, down.top);
  }
};

TdxSkinWinControllerClass dxSkinsFormNoRoomChooser(HWND AHandle)
{
  TdxSkinWinControllerClass result = dxSkinDefaultControllerClassChooser(AHandle);
  if (result == TdxSkinWinControllerClass::Of<TdxSkinFormController>())
    result = TdxSkinWinControllerClass::Of<TdxSkinsFormNoRoomController>();
  return result;
}

TEST_F(dxSkinsFormTest, ScrollBarDragWithoutRoomDoesNothing)
{
  dxSkinSetControllerClassChooser(&dxSkinsFormNoRoomChooser);
  const rtl::Finally restoreChooser([] { dxSkinSetControllerClassChooser(&dxSkinDefaultControllerClassChooser); });
  CreateSkinController();
  CreateForm();
  ASSERT_TRUE(rtl::Is<TdxSkinsFormNoRoomController>(FormController()));
  const HWND handle = FForm->GetHandle();
  SetWindowLongW(handle, GWL_STYLE, GetWindowLongW(handle, GWL_STYLE) | WS_VSCROLL);
  SetScrollRange(handle, SB_VERT, 0, 100, FALSE);
  SetWindowPos(handle, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  SkinsFormPump();
  TdxSkinCustomFormController* controller = FormController();
  controller->RecalculateViewInfo();
  TdxSkinFormScrollBarsController* bars = controller->GetScrollBarsController();
  TdxSkinFormScrollBarViewInfo* bar = bars->GetScrollBarViewInfo(TScrollBarKind::sbVertical);
  ASSERT_TRUE(bar->FVisible);
  const TRect thumb = bar->GetPartViewInfo(TcxScrollBarPart::sbpThumbnail)->FBounds;
  const TPoint P((thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2);
  ASSERT_EQ(bars->HitTest(P), bar->GetPartViewInfo(TcxScrollBarPart::sbpThumbnail));
  bars->MouseDown(P);
  EXPECT_FALSE(bars->IsTracking()) << "no scale without room: no drag";
  EXPECT_THROW(bars->GetTrackingScrollBarKind(), EdxException);
  bars->MouseMove(TPoint(P.x, P.y + 20));
  bars->MouseUp(P);
  EXPECT_EQ(GetScrollPos(handle, SB_VERT), 0);
}

// Not a check: the picture of a skinned form for people to look at.
TEST_F(dxSkinsFormTest, RendersASkinnedForm)
{
  CreateSkinController();
  vcl::TForm* form = CreateForm();
  auto* button = rtl::New<vcl::TButton>(form);
  button->SetParent(form);
  button->SetBounds(20, 20, 100, 28);
  button->SetCaption(L"Generate");
  SkinsFormPump();
  RedrawWindow(form->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN |
                                                         RDW_UPDATENOW);
  SkinsFormPump();
  const TRect window = WindowRect();
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  rtl::TOwnedPtr<TcxBitmap> bitmap(rtl::NewWith<TcxBitmap>([&](TcxBitmap* B) { B->CreateSize(width, height); }));
  {
    vcl::TScreenDC screen;
    BitBlt(bitmap->GetCanvas()->GetHandle(), 0, 0, width, height, screen.Get(), window.left, window.top, SRCCOPY);
  }
  // The caption is the skin's dark caption, not the system's.
  const COLORREF captionPixel = GetPixel(bitmap->GetCanvas()->GetHandle(), width / 3, 8);
  EXPECT_LT(GetRValue(captionPixel) + GetGValue(captionPixel) + GetBValue(captionPixel), 3 * 96);

  const char* folder = std::getenv("KV_RENDER_DIR");
  if (!folder)
    return;
  const rtl::TOwnedPtr<TdxPNGImage> png(rtl::New<TdxPNGImage>());
  png->LoadFromBitmap(bitmap.get());
  png->SaveToFile(std::wstring(folder, folder + std::strlen(folder)) + L"\\SkinnedForm.png");
}

}  // namespace
