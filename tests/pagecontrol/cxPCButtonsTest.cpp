// A page control on a shown form driven by real mouse messages: hot
// tracking, the close and custom buttons inside tabs, the new-tab button and
// the middle click; the page area written to and read from form streams.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "core/dxCore.h"
#include "pagecontrol/cxPC.h"
#include "pagecontrol/cxPCConsts.h"
#include "pagecontrol/cxPCPainters.h"
#include "platform/rtl/ClassesFiler.h"
#include "platform/rtl/ClassesStreams.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/ImgList.h"

namespace {

LPARAM CentreOf(const TRect& R)
{
  return MAKELPARAM((R.left + R.right) / 2, (R.top + R.bottom) / 2);
}

// Counts the clicks of custom buttons and answers whether they show.
class TPCButtonsEvents : public rtl::TObject {
  RTL_CLASS(TPCButtonsEvents, rtl::TObject)

 public:
  int Clicks = 0;
  int HiddenOnTab = -1;
  bool AllowClose = true;
  bool HandleNewTab = false;
  void Click(rtl::TObject*) { ++Clicks; }
  void CanShow(TcxPCButton*, int ATabIndex, bool& ACanShow) { ACanShow = ATabIndex != HiddenOnTab; }
  void CanClose(rtl::TObject*, int, bool& ACanClose) { ACanClose = AllowClose; }
  void NewTabButtonClick(rtl::TObject*, bool& AHandled) { AHandled = HandleNewTab; }
};

struct TPCButtonsFixture : testing::Test {
  rtl::TOwnedPtr<vcl::TForm> Form{rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(vcl::Application()); })};
  rtl::TOwnedPtr<TPCButtonsEvents> Events{rtl::New<TPCButtonsEvents>()};
  TcxPageControl* Pages = nullptr;
  TcxCustomTabControlProperties* Properties = nullptr;
  TcxCustomTabControlViewInfo* ViewInfo = nullptr;

  void SetUp() override
  {
    Form->SetBounds(0, 0, 520, 300);
    Pages = rtl::New<TcxPageControl>(Form.get());
    Pages->SetParent(Form.get());
    Pages->SetBounds(0, 0, 500, 200);
    for (const wchar_t* caption : {L"Model", L"CRUD", L"Fields"}) {
      TcxTabSheet* page = rtl::New<TcxTabSheet>(Form.get());
      page->SetCaption(caption);
      page->SetPageControl(Pages);
    }
    Properties = Pages->GetPropertiesObject();
    ViewInfo = Pages->GetViewInfo();
    Form->Show();
  }
  void TearDown() override { Form->Hide(); }

  TcxTabViewInfo* Tab(int AVisibleIndex) const { return ViewInfo->GetTabViewInfo(AVisibleIndex); }
  void Move(LPARAM APoint) const { SendMessageW(Pages->GetHandle(), WM_MOUSEMOVE, 0, APoint); }
  void Click(LPARAM APoint, UINT ADown = WM_LBUTTONDOWN, UINT AUp = WM_LBUTTONUP) const
  {
    SendMessageW(Pages->GetHandle(), ADown, ADown == WM_MBUTTONDOWN ? MK_MBUTTON : MK_LBUTTON, APoint);
    SendMessageW(Pages->GetHandle(), AUp, 0, APoint);
  }
  std::vector<std::wstring> Captions() const
  {
    std::vector<std::wstring> result;
    for (int i = 0; i < Pages->GetPageCount(); ++i)
      result.push_back(Pages->GetPage(i)->GetCaption());
    return result;
  }
};

TEST_F(TPCButtonsFixture, TheHotTabFollowsTheMouseAndIsRepainted)
{
  struct {
    const char* Name;
    bool HotTrack;
    bool Themed;
    bool DisableTab;
    int Target;  // a tab's visible index, -1 for the page area
    int Hot;
  } cases[] = {
      {"over a tab", true, false, false, 1, 1},
      {"over the page", true, false, false, -1, -1},
      {"without hot tracking", false, false, false, 1, -1},
      // Themed tabs always follow the mouse.
      {"themed without hot tracking", false, true, false, 1, 1},
      {"over a disabled tab", true, false, true, 1, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Pages->GetLookAndFeel()->SetNativeStyle(c.Themed);
    Properties->SetHotTrack(c.HotTrack);
    Pages->GetPage(1)->SetEnabled(!c.DisableTab);
    Move(CentreOf(Tab(2)->GetVisibleRect()));
    UpdateWindow(Pages->GetHandle());
    const TRect page = ViewInfo->PageClientRect();
    Move(c.Target == -1 ? CentreOf(page) : CentreOf(Tab(c.Target)->GetVisibleRect()));
    EXPECT_EQ(ViewInfo->GetHotTrackTabVisibleIndex(), c.Hot);
    if (c.Hot != -1) {
      RECT update{};
      EXPECT_TRUE(GetUpdateRect(Pages->GetHandle(), &update, FALSE));
      const TRect tab = Tab(c.Hot)->GetVisibleRect();
      RECT common{};
      EXPECT_TRUE(IntersectRect(&common, &update, &tab)) << "the new hot tab waits to be repainted";
    }
  }
}

TEST_F(TPCButtonsFixture, AClickOnACloseButtonClosesThatTabUnlessVetoed)
{
  Properties->SetCloseButtonMode(TcxPCButtonMode::cbmEveryTab);
  Properties->SetOnCanClose(TcxPCCanCloseEventEx::Bind<&TPCButtonsEvents::CanClose>(Events.get()));
  for (int i = 0; i < 3; ++i)
    ASSERT_NE(Tab(i)->GetCloseButtonInfo(), nullptr) << i;

  Events->AllowClose = false;
  Click(CentreOf(Tab(2)->GetCloseButtonInfo()->GetBounds()));
  EXPECT_EQ(Pages->GetPageCount(), 3);

  Events->AllowClose = true;
  // Pressed on one close button, released on another: nothing closes.
  SendMessageW(Pages->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, CentreOf(Tab(1)->GetCloseButtonInfo()->GetBounds()));
  SendMessageW(Pages->GetHandle(), WM_LBUTTONUP, 0, CentreOf(Tab(2)->GetCloseButtonInfo()->GetBounds()));
  EXPECT_EQ(Pages->GetPageCount(), 3);

  Click(CentreOf(Tab(2)->GetCloseButtonInfo()->GetBounds()));
  EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"Model", L"CRUD"}));
  EXPECT_EQ(Pages->GetActivePageIndex(), 0) << "closing another tab keeps the current one";
}

TEST_F(TPCButtonsFixture, CloseButtonsFollowTheirMode)
{
  Properties->SetHotTrack(true);
  struct {
    const char* Name;
    TcxPCButtonMode Mode;
    bool Hover;  // the mouse rests on tab 1
    std::vector<bool> HasButton;
  } cases[] = {
      {"none", TcxPCButtonMode::cbmNone, true, {false, false, false}},
      {"every tab", TcxPCButtonMode::cbmEveryTab, false, {true, true, true}},
      {"the active tab", TcxPCButtonMode::cbmActiveTab, true, {true, false, false}},
      {"active and hover", TcxPCButtonMode::cbmActiveAndHoverTabs, false, {true, false, false}},
      {"active and hover, hovered", TcxPCButtonMode::cbmActiveAndHoverTabs, true, {true, true, false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Properties->SetCloseButtonMode(c.Mode);
    Move(CentreOf(ViewInfo->PageClientRect()));
    const TRect textBefore = Tab(1)->GetTextRect();
    if (c.Hover)
      Move(CentreOf(Tab(1)->GetVisibleRect()));
    std::vector<bool> hasButton;
    for (int i = 0; i < 3; ++i)
      hasButton.push_back(Tab(i)->GetCloseButtonInfo() != nullptr);
    EXPECT_EQ(hasButton, c.HasButton);
    if (c.Mode == TcxPCButtonMode::cbmActiveAndHoverTabs && c.Hover) {
      EXPECT_EQ(Tab(1)->GetTextRect().left, textBefore.left) << "the caption stays when the button appears";
    }
  }
}

TEST_F(TPCButtonsFixture, CustomTabButtonsShowWhereAllowedAndClickWhenEnabled)
{
  TcxPCCustomButtons* custom = Properties->GetCustomButtons();
  TcxPCButton* button = custom->GetButtons()->Add();
  EXPECT_TRUE(button->GetEnabled());
  EXPECT_TRUE(button->GetVisible());
  EXPECT_EQ(button->GetPosition(), TcxPCButtonPosition::pcbpHeader);
  EXPECT_EQ(button->GetTabImageIndex(), -1);
  EXPECT_EQ(button->GetHeaderImageIndex(), -1);

  button->SetPosition(TcxPCButtonPosition::pcbpTabs);
  button->SetOnClick(rtl::TNotifyEvent::Bind<&TPCButtonsEvents::Click>(Events.get()));
  button->SetOnCanShow(TcxPCButtonCanShowEvent::Bind<&TPCButtonsEvents::CanShow>(Events.get()));
  Events->HiddenOnTab = 1;
  custom->SetMode(TcxPCButtonMode::cbmEveryTab);
  EXPECT_EQ(Tab(0)->ButtonsCount(), 1);
  EXPECT_EQ(Tab(1)->ButtonsCount(), 0) << "OnCanShow keeps it off the tab";
  ASSERT_EQ(Tab(2)->ButtonsCount(), 1);

  // The button stands inside its tab, after the caption.
  const TRect bounds = Tab(2)->GetButtonInfo(0)->GetBounds();
  const TRect full = Tab(2)->GetFullRect();
  EXPECT_GE(bounds.left, Tab(2)->GetTextRect().right);
  EXPECT_LE(bounds.right, full.right);
  EXPECT_GE(bounds.top, full.top);
  EXPECT_LE(bounds.bottom, full.bottom);

  Click(CentreOf(bounds));
  EXPECT_EQ(Events->Clicks, 1);
  EXPECT_EQ(Pages->GetActivePageIndex(), 0) << "a button click selects no tab";

  button->SetEnabled(false);
  Click(CentreOf(Tab(2)->GetButtonInfo(0)->GetBounds()));
  EXPECT_EQ(Events->Clicks, 1);
  EXPECT_EQ(Tab(2)->GetButtonInfo(0)->GetState(), TcxPCNavigatorButtonState::nbsDisabled);
}

TEST_F(TPCButtonsFixture, ACloseButtonKeepsItsProportionsInTallButtonRows)
{
  rtl::TOwnedPtr<vcl::TImageList> images(
      rtl::NewWith<vcl::TImageList>([](vcl::TImageList* L) { L->CreateSize(24, 24); }));
  Properties->SetCloseButtonMode(TcxPCButtonMode::cbmEveryTab);
  EXPECT_EQ(Tab(0)->GetCloseButtonInfo()->GetWidth(), 16);
  // 24-pixel images and 2 pixels above and below: rows of 28, so 16 x 14
  // becomes 32 wide.
  Properties->GetCustomButtons()->GetTabImages()->SetBaseImages(images.get());
  EXPECT_EQ(ViewInfo->GetTabButtonHeight(), 28);
  EXPECT_EQ(Tab(0)->GetCloseButtonInfo()->GetWidth(), 32);
  images.reset();
  EXPECT_EQ(Tab(0)->GetCloseButtonInfo()->GetWidth(), 16) << "a freed image list leaves the buttons";
}

TEST_F(TPCButtonsFixture, TheNewTabButtonMakesAndSelectsAPageUnlessHandled)
{
  Properties->SetNewButtonMode(TcxPCNewButtonMode::nbmTab);
  Properties->SetOnNewTabButtonClick(
      TcxPCNewTabButtonClickEvent::Bind<&TPCButtonsEvents::NewTabButtonClick>(Events.get()));
  ASSERT_EQ(ViewInfo->TabsViewInfoCount(), 4);
  ASSERT_TRUE(Tab(3)->GetTab()->IsNewButton());

  Events->HandleNewTab = true;
  Click(CentreOf(Tab(3)->GetVisibleRect()));
  EXPECT_EQ(Pages->GetPageCount(), 3);

  Events->HandleNewTab = false;
  Click(CentreOf(Tab(3)->GetVisibleRect()));
  EXPECT_EQ(Pages->GetPageCount(), 4);
  EXPECT_EQ(Pages->GetActivePageIndex(), 3);
  EXPECT_TRUE(Tab(4)->GetTab()->IsNewButton()) << "the button stays last";
}

TEST_F(TPCButtonsFixture, AMiddleClickClosesTheTabUnderTheMouseWhenAllowed)
{
  Click(CentreOf(Tab(1)->GetVisibleRect()), WM_MBUTTONDOWN, WM_MBUTTONUP);
  EXPECT_EQ(Pages->GetPageCount(), 3);
  Properties->SetCloseTabWithMiddleClick(true);
  Click(CentreOf(Tab(1)->GetVisibleRect()), WM_MBUTTONDOWN, WM_MBUTTONUP);
  EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"Model", L"Fields"}));
  EXPECT_EQ(Pages->GetActivePageIndex(), 0);
}

TEST_F(TPCButtonsFixture, TheHotTabAndTheTabButtonsAreDrawn)
{
  Properties->SetStyle(1);
  Properties->SetHotTrack(true);
  Properties->SetCloseButtonMode(TcxPCButtonMode::cbmEveryTab);
  struct {
    TcxTabPosition Position;
    const wchar_t* Name;
  } cases[] = {{TcxTabPosition::tpTop, L"PCButtonsTop.png"}, {TcxTabPosition::tpLeft, L"PCButtonsLeft.png"}};
  for (const auto& c : cases) {
    Properties->SetTabPosition(c.Position);
    Move(CentreOf(Tab(1)->GetTextRect()));
    ASSERT_EQ(ViewInfo->GetHotTrackTabVisibleIndex(), 1);
    Move(CentreOf(Tab(2)->GetCloseButtonInfo()->GetBounds()));
    rtl::TOwnedPtr<TcxBitmap> bitmap(rtl::NewWith<TcxBitmap>([](TcxBitmap* B) {
      B->CreateSize(500, 200, vcl::TPixelFormat::pf24bit);
    }));
    Pages->GetPCPainter()->Paint(bitmap->GetcxCanvas());
    // The hot caption stands out from its tab (a light grey hot-light
    // colour is replaced).
    const TRect text = Tab(2)->GetTextRect();
    const vcl::TColor hot = Pages->GetPCPainter()->GetHotTabTextColor(2);
    const COLORREF face = static_cast<COLORREF>(vcl::ColorToRGB(Pages->GetPCPainter()->GetTabColor(2)));
    const COLORREF ink = static_cast<COLORREF>(vcl::ColorToRGB(hot));
    EXPECT_GE(std::abs((GetRValue(ink) + GetGValue(ink) + GetBValue(ink)) -
                       (GetRValue(face) + GetGValue(face) + GetBValue(face))),
              3 * 80);
    bool found = false;
    for (int y = text.top; y < text.bottom && !found; ++y)
      for (int x = text.left; x < text.right && !found; ++x)
        found = GetPixel(bitmap->GetcxCanvas()->GetHandle(), x, y) == ink;
    EXPECT_TRUE(found);
    if (const char* folder = std::getenv("KV_RENDER_DIR")) {
      const rtl::TOwnedPtr<TdxPNGImage> png(rtl::New<TdxPNGImage>());
      png->LoadFromBitmap(bitmap.get());
      png->SaveToFile(std::wstring(folder, folder + std::strlen(folder)) + L"\\" + c.Name);
    }
  }
}

// The hint follows what lies under the mouse: a tab's hint, a tab button's
// or a header button's, each only while its kind of hint is switched on.
// The controller is asked directly with the cursor placed over the element.
TEST_F(TPCButtonsFixture, HintsFollowTheTabOrButtonUnderTheMouse)
{
  Pages->GetPage(1)->SetTabHint(L"The CRUD code");
  Properties->SetCloseButtonMode(TcxPCButtonMode::cbmEveryTab);
  TcxPCButton* header = Properties->GetCustomButtons()->GetButtons()->Add();
  header->SetHint(L"Add a model");
  SetForegroundWindow(Form->GetHandle());
  const rtl::String closeHint = dxLookupResourceString(scxPCDefaultHintTabCloseButton);
  enum TElement { eTabText, eCloseButton, eHeaderButton };
  struct {
    const char* Name;
    TElement Element;
    bool ShowTabHints;
    bool ShowButtonHints;
    rtl::String Hint;
  } cases[] = {
      {"a tab", eTabText, true, false, L"The CRUD code"},
      {"a tab, tab hints off", eTabText, false, true, L""},
      {"its close button", eCloseButton, true, true, closeHint},
      {"its close button, button hints off", eCloseButton, true, false, L""},
      {"a custom header button", eHeaderButton, false, true, L"Add a model"},
      {"a custom header button, button hints off", eHeaderButton, true, false, L""},
  };
  TcxCustomTabControlController* controller = Pages->GetController();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Properties->SetShowTabHints(c.ShowTabHints);
    Properties->SetShowButtonHints(c.ShowButtonHints);
    TRect R{};
    switch (c.Element) {
      case eTabText:
        R = Tab(1)->GetTextRect();
        break;
      case eCloseButton:
        R = Tab(1)->GetCloseButtonInfo()->GetBounds();
        break;
      case eHeaderButton:
        for (int i = 0; i < ViewInfo->NavigatorButtonCount(); ++i)
          if (ViewInfo->GetNavigatorButtonInfo(i).Button == header)
            R = ViewInfo->GetNavigatorButtonInfo(i).Bounds;
        break;
    }
    ASSERT_LT(R.left, R.right);
    const TPoint P = Pages->ClientToScreen(TPoint{(R.left + R.right) / 2, (R.top + R.bottom) / 2});
    SetCursorPos(P.x, P.y);
    // Away first, so that each case starts from no hint.
    controller->GetHintHelper()->CancelHint();
    controller->MouseLeave();
    controller->UpdateHint();
    vcl::THintWindow* window = controller->GetHintHelper()->GetHintWindow();
    const bool shown = window && window->HandleAllocated() && IsWindowVisible(window->GetHandle());
    EXPECT_EQ(shown, !c.Hint.empty());
    if (shown && !c.Hint.empty()) {
      EXPECT_EQ(window->GetCaption(), c.Hint);
    }
  }
  controller->GetHintHelper()->CancelHint();
}

// ---------------------------------------------------------------------------
// The page area in form streams

// The page area as the pages see it while the form still loads, at the
// scale the test sets.
int gPCProbeScale = 1;

class TPCClientRectProbe : public TcxPageControl {
  RTL_CLASS(TPCClientRectProbe, TcxPageControl)

 public:
  TRect LoadingArea{};

 protected:
  void Loaded() override
  {
    if (gPCProbeScale != 1)
      ChangeScale(gPCProbeScale, 1, false);
    LoadingArea = GetPageAreaRect();
    inherited::Loaded();
  }
};

rtl::TOwnedPtr<vcl::TForm> ReadPCForm(const std::string& AText)
{
  rtl::TOwnedPtr<rtl::TMemoryStream> source(rtl::New<rtl::TMemoryStream>());
  source->WriteBuffer(AText.data(), static_cast<int>(AText.size()));
  source->SetPosition(0);
  rtl::TOwnedPtr<rtl::TMemoryStream> binary(rtl::New<rtl::TMemoryStream>());
  rtl::ObjectTextToBinary(source.get(), binary.get());
  binary->SetPosition(0);
  rtl::TOwnedPtr<vcl::TForm> form(rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(vcl::Application()); }));
  rtl::ReadComponent(binary.get(), form.get());
  return form;
}

TEST(cxPCClientRectStream, TheStreamedPageAreaHoldsWhileTheFormLoads)
{
  rtl::RegisterClasses({rtl::TPersistentClass::Of<TPCClientRectProbe>(), rtl::TPersistentClass::Of<TcxTabSheet>()});
  const std::string text =
      "object PCForm: TForm\n"
      "  Width = 800\n  Height = 400\n"
      "  object Pages: TPCClientRectProbe\n"
      "    Width = 710\n    Height = 286\n"
      "    ClientRectBottom = 282\n    ClientRectLeft = 4\n    ClientRectRight = 706\n    ClientRectTop = 24\n"
      "    object ModelSheet: TcxTabSheet\n      Caption = 'Model'\n    end\n"
      "  end\n"
      "end\n";
  struct {
    int Scale;
    TRect Area;
  } cases[] = {{1, TRect{4, 24, 706, 282}}, {2, TRect{8, 48, 1412, 564}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Scale);
    gPCProbeScale = c.Scale;
    rtl::TOwnedPtr<vcl::TForm> form = ReadPCForm(text);
    gPCProbeScale = 1;
    auto* pages = rtl::As<TPCClientRectProbe>(form->FindComponent(L"Pages"));
    ASSERT_NE(pages, nullptr);
    EXPECT_TRUE(EqualRect(&pages->LoadingArea, &c.Area));
  }
}

TEST(cxPCClientRectStream, ThePageAreaIsWrittenAndReadBack)
{
  rtl::RegisterClasses({rtl::TPersistentClass::Of<TPCClientRectProbe>(), rtl::TPersistentClass::Of<TcxTabSheet>()});
  rtl::TOwnedPtr<vcl::TForm> form(rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(vcl::Application()); }));
  form->SetName(L"PCWrittenForm");
  auto* pages = rtl::New<TPCClientRectProbe>(form.get());
  pages->SetName(L"Pages");
  pages->SetParent(form.get());
  pages->SetBounds(0, 0, 300, 200);
  pages->GetPropertiesObject()->GetTabs()->Add(L"Model");
  const TRect area = pages->GetViewInfo()->PageClientRect();
  ASSERT_GT(area.top, 10);

  rtl::TOwnedPtr<rtl::TMemoryStream> binary(rtl::New<rtl::TMemoryStream>());
  rtl::WriteComponent(binary.get(), form.get());
  binary->SetPosition(0);
  rtl::TOwnedPtr<rtl::TMemoryStream> textStream(rtl::New<rtl::TMemoryStream>());
  rtl::ObjectBinaryToText(binary.get(), textStream.get());
  const std::string text(static_cast<const char*>(textStream->Memory()), static_cast<std::size_t>(textStream->GetSize()));
  std::string written;
  for (const char* name : {"ClientRectBottom", "ClientRectLeft", "ClientRectRight", "ClientRectTop"}) {
    const std::size_t at = text.find(name);
    if (at != std::string::npos)
      written += text.substr(at, text.find_first_of("\r\n", at) - at) + "\n";
  }
  // Left and bottom only when not zero; right and top always.
  const std::string expected = "ClientRectBottom = " + std::to_string(area.bottom) + "\n" +
                               (area.left != 0 ? "ClientRectLeft = " + std::to_string(area.left) + "\n" : "") +
                               "ClientRectRight = " + std::to_string(area.right) + "\n" +
                               "ClientRectTop = " + std::to_string(area.top) + "\n";
  EXPECT_EQ(written, expected) << text;

  rtl::TOwnedPtr<vcl::TForm> read = ReadPCForm("object PCForm: TForm\n  object Pages: TPCClientRectProbe\n" + written +
                                               "  end\nend\n");
  auto* readPages = rtl::As<TPCClientRectProbe>(read->FindComponent(L"Pages"));
  ASSERT_NE(readPages, nullptr);
  EXPECT_TRUE(EqualRect(&readPages->LoadingArea, &area));
}

}  // namespace
