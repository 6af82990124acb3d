// The page control on a form: pages added and removed, the active page and
// its switch with veto and events, and a form stream read under Wine with
// pages switched by Ctrl+Tab and by a click.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "graphics/cxGraphicsBitmaps.h"
#include "pagecontrol/cxPC.h"
#include "platform/rtl/ClassesFiler.h"
#include "platform/rtl/ClassesStreams.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/StdCtrls.h"

namespace {

using Strings = std::vector<std::string>;

// Records the control's and the pages' events.
class TPCPageEvents : public rtl::TObject {
  RTL_CLASS(TPCPageEvents, rtl::TObject)

 public:
  Strings Log;
  bool Allow = true;
  void Changing(rtl::TObject*, bool& AllowChange) { Log.push_back("changing"); AllowChange = Allow; }
  void PageChanging(rtl::TObject*, TcxTabSheet* APage, bool& AllowChange)
  {
    Log.push_back("pagechanging " + (APage ? Narrow(APage->GetCaption()) : std::string("nil")));
    AllowChange = Allow;
  }
  void Change(rtl::TObject*) { Log.push_back("change"); }
  void Show(rtl::TObject* ASender) { Log.push_back("show " + Narrow(static_cast<TcxTabSheet*>(ASender)->GetCaption())); }
  void Hide(rtl::TObject* ASender) { Log.push_back("hide " + Narrow(static_cast<TcxTabSheet*>(ASender)->GetCaption())); }

  void Hook(TcxPageControl* AControl)
  {
    AControl->SetOnChanging(TcxTabChangingEvent::Bind<&TPCPageEvents::Changing>(this));
    AControl->SetOnPageChanging(TcxPageChangingEvent::Bind<&TPCPageEvents::PageChanging>(this));
    AControl->SetOnChange(rtl::TNotifyEvent::Bind<&TPCPageEvents::Change>(this));
    for (int i = 0; i < AControl->GetPageCount(); ++i) {
      AControl->GetPage(i)->SetOnShow(rtl::TNotifyEvent::Bind<&TPCPageEvents::Show>(this));
      AControl->GetPage(i)->SetOnHide(rtl::TNotifyEvent::Bind<&TPCPageEvents::Hide>(this));
    }
  }

 private:
  static std::string Narrow(const rtl::String& S) { return std::string(S.begin(), S.end()); }
};

struct TPCPageControlFixture : testing::Test {
  rtl::TOwnedPtr<vcl::TForm> Form{rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(vcl::Application()); })};
  TcxPageControl* Pages = nullptr;
  rtl::TOwnedPtr<TPCPageEvents> Events{rtl::New<TPCPageEvents>()};

  void SetUp() override
  {
    Form->SetBounds(0, 0, 400, 300);
    Pages = rtl::New<TcxPageControl>(Form.get());
    Pages->SetParent(Form.get());
    Pages->SetBounds(0, 0, 300, 200);
    for (const wchar_t* caption : {L"Model", L"CRUD", L"Fields"})
      AddPage(caption);
  }
  TcxTabSheet* AddPage(const wchar_t* ACaption)
  {
    TcxTabSheet* page = rtl::New<TcxTabSheet>(Form.get());
    page->SetCaption(ACaption);
    page->SetPageControl(Pages);
    return page;
  }
};

TEST_F(TPCPageControlFixture, TheFirstPageBecomesActiveAndAnIndexOutsideThePagesActivatesNone)
{
  EXPECT_EQ(Pages->GetActivePageIndex(), 0);
  EXPECT_TRUE(Pages->GetPage(0)->GetVisible());
  EXPECT_FALSE(Pages->GetPage(1)->GetVisible());
  Events->Hook(Pages);
  Pages->SetActivePageIndex(5);
  EXPECT_EQ(Pages->GetActivePageIndex(), -1);
  EXPECT_EQ(Pages->GetTabIndex(), -1);
  EXPECT_EQ(Events->Log, (Strings{"pagechanging nil", "hide Model", "change"}));
}

TEST_F(TPCPageControlFixture, SwitchingByTabFiresTheEventsInOrderAndByCodeSkipsOnChanging)
{
  Events->Hook(Pages);
  Pages->SetTabIndex(1);
  EXPECT_EQ(Events->Log, (Strings{"changing", "pagechanging CRUD", "show CRUD", "hide Model", "change"}));
  EXPECT_EQ(Pages->GetActivePage(), Pages->GetPage(1));

  Events->Log.clear();
  Pages->SetActivePage(Pages->GetPage(2));
  EXPECT_EQ(Events->Log, (Strings{"pagechanging Fields", "show Fields", "hide CRUD", "change"}));
  EXPECT_EQ(Pages->GetTabIndex(), 2);

  Events->Log.clear();
  Events->Allow = false;
  Pages->SetTabIndex(0);
  EXPECT_EQ(Pages->GetActivePageIndex(), 2);
  EXPECT_EQ(Pages->GetTabIndex(), 2);
  EXPECT_EQ(Events->Log, (Strings{"changing"}));
}

TEST_F(TPCPageControlFixture, RemovingTheActivePageActivatesItsNeighbour)
{
  Pages->SetActivePageIndex(2);
  rtl::Free(Pages->GetPage(2));
  EXPECT_EQ(Pages->GetPageCount(), 2);
  EXPECT_EQ(Pages->GetActivePageIndex(), 1);
  Pages->SetActivePageIndex(0);
  rtl::Free(Pages->GetPage(0));
  EXPECT_EQ(Pages->GetActivePage()->GetCaption(), L"CRUD");
  EXPECT_EQ(Pages->GetTabIndex(), 0);
}

TEST_F(TPCPageControlFixture, AHiddenActiveTabSelectsNoTabWhileThePageStays)
{
  TcxTabSheet* page = Pages->GetPage(0);
  page->SetTabVisible(false);
  EXPECT_EQ(Pages->GetActivePage(), page);
  EXPECT_EQ(Pages->GetTabIndex(), -1);
}

TEST_F(TPCPageControlFixture, PageIndexMovesPagesAndTabsAndRefusesIndexesBeyondThem)
{
  TcxTabSheet* fields = Pages->GetPage(2);
  fields->SetPageIndex(0);
  EXPECT_EQ(Pages->GetPage(0), fields);
  EXPECT_EQ(Pages->GetPropertiesObject()->GetTabs()->GetStrings(0), L"Fields");
  EXPECT_EQ(Pages->GetActivePageIndex(), 1);
  EXPECT_EQ(Pages->GetTabIndex(), 1);
  try {
    fields->SetPageIndex(3);
    FAIL();
  } catch (const rtl::EListError& E) {
    EXPECT_EQ(E.Message(), L"3 is an invalid PageIndex value.  PageIndex must be between 0 and 2");
  }
  EXPECT_THROW(fields->SetPageIndex(-1), rtl::EListError);
}

TEST_F(TPCPageControlFixture, FindNextPageWrapsOnlyWhenCircular)
{
  TcxTabSheet* last = Pages->GetPage(2);
  EXPECT_EQ(Pages->FindNextPage(last, true, true), Pages->GetPage(0));
  EXPECT_EQ(Pages->FindNextPageEx(last, true, true, false), nullptr);
  Pages->GetPage(1)->SetEnabled(false);
  EXPECT_EQ(Pages->FindNextPage(Pages->GetPage(0), true, true), last);
  EXPECT_EQ(Pages->FindNextPage(nullptr, false, true), last);
}

constexpr char kPCForm[] =
    "object PCForm: TForm\n"
    "  Left = 0\n  Top = 0\n  Width = 420\n  Height = 320\n"
    "  object Pages: TcxPageControl\n"
    "    Left = 10\n    Top = 10\n    Width = 300\n    Height = 200\n"
    "    Properties.ActivePage = CrudSheet\n"
    "    object ModelSheet: TcxTabSheet\n"
    "      Caption = 'Model'\n"
    "      object ModelMemo: TMemo\n        Left = 0\n        Top = 0\n        Width = 50\n        Height = 50\n"
    "        Align = alClient\n      end\n"
    "    end\n"
    "    object CrudSheet: TcxTabSheet\n"
    "      Caption = 'CRUD'\n"
    "      object CrudMemo: TMemo\n        Left = 0\n        Top = 0\n        Width = 50\n        Height = 50\n"
    "        Align = alClient\n      end\n"
    "    end\n"
    "  end\n"
    "end\n";

TEST(cxPageControlForm, AStreamedPageControlSwitchesByCtrlTabAndByClick)
{
  rtl::RegisterClasses({rtl::TPersistentClass::Of<TcxPageControl>(), rtl::TPersistentClass::Of<TcxTabSheet>(),
                        rtl::TPersistentClass::Of<vcl::TMemo>()});
  rtl::TOwnedPtr<rtl::TMemoryStream> source(rtl::New<rtl::TMemoryStream>());
  source->WriteBuffer(kPCForm, static_cast<int>(sizeof(kPCForm) - 1));
  source->SetPosition(0);
  rtl::TOwnedPtr<rtl::TMemoryStream> binary(rtl::New<rtl::TMemoryStream>());
  rtl::ObjectTextToBinary(source.get(), binary.get());
  binary->SetPosition(0);
  rtl::TOwnedPtr<vcl::TForm> form(rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(vcl::Application()); }));
  rtl::ReadComponent(binary.get(), form.get());

  auto* pages = rtl::As<TcxPageControl>(form->FindComponent(L"Pages"));
  ASSERT_NE(pages, nullptr);
  ASSERT_EQ(pages->GetPageCount(), 2);
  EXPECT_EQ(pages->GetPage(0)->GetName(), L"ModelSheet");
  // The stream's active page; the main window then selects the first.
  EXPECT_EQ(pages->GetActivePageIndex(), 1);
  pages->SetActivePageIndex(0);
  EXPECT_EQ(pages->GetActivePageIndex(), 0);

  form->Show();
  pages->SetFocus();
  // Ctrl+Tab moves to the next page.
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  SendMessageW(pages->GetHandle(), WM_KEYDOWN, VK_TAB, 0);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(pages->GetActivePageIndex(), 1);

  // A click on the first tab goes back.
  const TRect tab = pages->GetViewInfo()->GetTabViewInfo(0)->GetVisibleRect();
  const LPARAM point = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  SendMessageW(pages->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendMessageW(pages->GetHandle(), WM_LBUTTONUP, 0, point);
  EXPECT_EQ(pages->GetActivePageIndex(), 0);

  // Each page fills the page area and its memo the page.
  const TRect client = pages->GetViewInfo()->PageClientRect();
  EXPECT_GT(client.bottom - client.top, 100);
  for (int i = 0; i < 2; ++i) {
    TcxTabSheet* page = pages->GetPage(i);
    EXPECT_EQ(page->GetBoundsRect().left, client.left);
    EXPECT_EQ(page->GetBoundsRect().top, client.top);
    EXPECT_EQ(page->GetBoundsRect().right, client.right);
    EXPECT_EQ(page->GetBoundsRect().bottom, client.bottom);
    ASSERT_EQ(page->GetControlCount(), 1);
    vcl::TControl* memo = page->GetControls(0);
    EXPECT_EQ(memo->GetWidth(), page->GetClientWidth());
    EXPECT_EQ(memo->GetHeight(), page->GetClientHeight());
  }
  form->Hide();
}

// Tabs take their pages' colours where asked, and the page area takes the
// active page's colour unless the page follows its parent (in the styles
// that fill the page area; a themed pane is the theme's).
TEST_F(TPCPageControlFixture, PagesColourTheirTabsAndThePageAreaWhenTheyHaveColoursOfTheirOwn)
{
  constexpr vcl::TColor pageColor = 0x00C0FFC0;
  struct {
    const char* Name;
    TcxPCStyleID Style;
    bool ParentColor;
    bool UsePageColorForTab;
    vcl::TColor TabColor;
    vcl::TColor ExpectedTabOwnColor;
    bool PageAreaInPageColor;
  } cases[] = {
      {"page follows its parent", 2, true, true, vcl::clDefault, vcl::clDefault, false},
      {"own page colour, tabs keep theirs", 2, false, false, vcl::clDefault, vcl::clDefault, true},
      {"own page colour lent to the tab", 5, false, true, vcl::clDefault, pageColor, true},
      {"a tab colour of its own wins", 5, false, true, vcl::clYellow, vcl::clYellow, true},
  };
  TcxTabSheet* page = Pages->GetPage(0);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Pages->GetPropertiesObject()->SetStyle(c.Style);
    page->SetColor(pageColor);
    page->SetParentColor(c.ParentColor);
    page->GetTab()->SetColor(c.TabColor);
    TcxPCOptions options = Pages->GetPropertiesObject()->GetOptions();
    if (c.UsePageColorForTab)
      options.Include(TcxPCOption::pcoUsePageColorForTab);
    else
      options.Exclude(TcxPCOption::pcoUsePageColorForTab);
    Pages->GetPropertiesObject()->SetOptions(options);
    TcxPCCustomPainter* painter = Pages->GetPCPainter();
    EXPECT_EQ(painter->GetTabOwnColor(0), c.ExpectedTabOwnColor);
    const rtl::TOwnedPtr<TcxBitmap> bitmap(rtl::NewWith<TcxBitmap>([](TcxBitmap* B) { B->CreateSize(300, 200); }));
    painter->Paint(bitmap->GetcxCanvas());
    const TRect client = painter->GetPageClientRect();
    const COLORREF pixel = GetPixel(bitmap->GetcxCanvas()->GetHandle(), (client.left + client.right) / 2,
                                    (client.top + client.bottom) / 2);
    EXPECT_EQ(pixel == static_cast<COLORREF>(pageColor), c.PageAreaInPageColor);
  }
}

}  // namespace
