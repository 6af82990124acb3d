// Tabs of a page control dragged along their row by mouse messages: the
// drop position, the refused and empty drops, the user events around the
// drag and the scroll zones of a single row.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pagecontrol/cxPC.h"
#include "platform/vcl/Forms.h"

namespace {

class TPCDragEvents : public rtl::TObject {
  RTL_CLASS(TPCDragEvents, rtl::TObject)

 public:
  std::vector<std::string> Log;
  bool Accept = true;
  void StartDrag(rtl::TObject*, int AIndex) { Log.push_back("start " + std::to_string(AIndex)); }
  void DragAndDrop(rtl::TObject*, int, int, bool& AAccept) { AAccept = AAccept && Accept; }
  void EndDrag(rtl::TObject*, int ANewIndex) { Log.push_back("end " + std::to_string(ANewIndex)); }
};

struct TPCDragFixture : testing::Test {
  rtl::TOwnedPtr<vcl::TForm> Form{rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(vcl::Application()); })};
  rtl::TOwnedPtr<TPCDragEvents> Events{rtl::New<TPCDragEvents>()};
  TcxPageControl* Pages = nullptr;

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
    Pages->GetPropertiesObject()->SetAllowTabDragDrop(true);
    Pages->SetOnTabStartDrag(TcxTabControlTabStartDragEvent::Bind<&TPCDragEvents::StartDrag>(Events.get()));
    Pages->SetOnTabDragAndDrop(TcxTabControlTabDragAndDropEvent::Bind<&TPCDragEvents::DragAndDrop>(Events.get()));
    Pages->SetOnTabEndDrag(TcxTabControlTabEndDragEvent::Bind<&TPCDragEvents::EndDrag>(Events.get()));
    Form->Show();
  }
  void TearDown() override { Form->Hide(); }

  TRect TabRect(int AVisibleIndex) const
  {
    return Pages->GetViewInfo()->GetTabViewInfo(AVisibleIndex)->GetNormalRect();
  }
  // A point at AQuarter quarters of a tab's length: 1 in its left half, 3
  // in its right half.
  TPoint InTab(int AVisibleIndex, int AQuarter) const
  {
    const TRect R = TabRect(AVisibleIndex);
    return TPoint{R.left + (R.right - R.left) * AQuarter / 4, (R.top + R.bottom) / 2};
  }
  // Presses at AFrom, moves to ATo (the first move starts the drag, the
  // second finds the drop position) and releases there.
  void Drag(const TPoint& AFrom, const TPoint& ATo, vcl::TCursor* ACursorDuringDrag = nullptr)
  {
    const HWND handle = Pages->GetHandle();
    SendMessageW(handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(AFrom.x, AFrom.y));
    SendMessageW(handle, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ATo.x, ATo.y));
    SendMessageW(handle, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ATo.x + 1, ATo.y));
    if (ACursorDuringDrag)
      *ACursorDuringDrag = Pages->GetCursor();
    SendMessageW(handle, WM_LBUTTONUP, 0, MAKELPARAM(ATo.x + 1, ATo.y));
  }
  std::vector<std::wstring> Captions() const
  {
    std::vector<std::wstring> result;
    for (int i = 0; i < Pages->GetPageCount(); ++i)
      result.push_back(Pages->GetPage(i)->GetCaption());
    return result;
  }
};

TEST_F(TPCDragFixture, ATabDroppedOnAHalfOfAnotherMovesWithItsPage)
{
  using Captions_ = std::vector<std::wstring>;
  struct {
    const char* Name;
    int From;
    int Onto;
    int Quarter;
    Captions_ Order;
    int Active;
  } cases[] = {
      {"third onto the right half of the first", 2, 0, 3, {L"Model", L"Fields", L"CRUD"}, 1},
      {"third onto the left half of the first", 2, 0, 1, {L"Fields", L"Model", L"CRUD"}, 0},
      {"first onto the left half of the second", 0, 1, 1, {L"Model", L"CRUD", L"Fields"}, 0},
      {"first onto the right half of the second", 0, 1, 3, {L"CRUD", L"Model", L"Fields"}, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Drag(InTab(c.From, 2), InTab(c.Onto, c.Quarter));
    EXPECT_EQ(Captions(), c.Order);
    EXPECT_EQ(Pages->GetActivePageIndex(), c.Active);
    EXPECT_TRUE(Pages->GetActivePage()->GetVisible());
    const bool kept = c.Order == Captions_{L"Model", L"CRUD", L"Fields"};
    EXPECT_EQ(Events->Log, (std::vector<std::string>{"start " + std::to_string(c.From),
                                                     "end " + std::to_string(kept ? c.From : c.Active)}));
    Events->Log.clear();
    // Back to the first order, the first page active.
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j)
        if (Pages->GetPage(j)->GetCaption() == Captions_{L"Model", L"CRUD", L"Fields"}[i])
          Pages->GetPage(j)->SetPageIndex(i);
    Pages->SetActivePageIndex(0);
  }
}

TEST_F(TPCDragFixture, DropsOutsideTheTabsOrRefusedByTheUserMoveNothing)
{
  const TRect page = Pages->GetViewInfo()->PageClientRect();
  vcl::TCursor cursor = vcl::crDefault;
  Drag(InTab(2, 2), TPoint{(page.left + page.right) / 2, (page.top + page.bottom) / 2}, &cursor);
  EXPECT_EQ(cursor, vcl::crNoDrop);
  EXPECT_EQ(Pages->GetCursor(), vcl::crDefault);
  EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"Model", L"CRUD", L"Fields"}));

  Events->Accept = false;
  Drag(InTab(2, 2), InTab(0, 1));
  EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"Model", L"CRUD", L"Fields"}));
  EXPECT_EQ(Events->Log.back(), "end 2");

  // Without permission no drag starts.
  Events->Accept = true;
  Events->Log.clear();
  Pages->GetPropertiesObject()->SetAllowTabDragDrop(false);
  Drag(InTab(2, 2), InTab(0, 1));
  EXPECT_TRUE(Events->Log.empty());
  EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"Model", L"CRUD", L"Fields"}));
}

TEST_F(TPCDragFixture, TheNewTabButtonIsNoDestination)
{
  Pages->GetPropertiesObject()->SetNewButtonMode(TcxPCNewButtonMode::nbmTab);
  ASSERT_EQ(Pages->GetViewInfo()->TabsViewInfoCount(), 4);
  Drag(InTab(0, 2), InTab(3, 3));
  EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"Model", L"CRUD", L"Fields"}));
  EXPECT_EQ(Events->Log, (std::vector<std::string>{"start 0", "end 0"}));
}

TEST_F(TPCDragFixture, ASingleRowScrollsWhileThePointerRestsAtItsEnds)
{
  for (int i = 0; i < 12; ++i) {
    TcxTabSheet* page = rtl::New<TcxTabSheet>(Form.get());
    page->SetCaption(L"Page number " + std::to_wstring(i));
    page->SetPageControl(Pages);
  }
  TcxCustomTabControlViewInfo* viewInfo = Pages->GetViewInfo();
  viewInfo->ScrollFirstTab(2);
  Pages->LayoutChanged();
  const int first = viewInfo->GetFirstTabVisibleIndex();
  const int last = viewInfo->GetLastTabVisibleIndex();
  ASSERT_GT(first, 0);
  ASSERT_LT(last, viewInfo->TabsViewInfoCount() - 1);
  const TRect firstRect = TabRect(first);
  const TRect lastRect = TabRect(last);
  const int midY = (firstRect.top + firstRect.bottom) / 2;
  struct {
    const char* Name;
    TPoint P;
    bool Scrolls;
    int Direction;
  } cases[] = {
      {"start of the first tab", {firstRect.left + 1, midY}, true, -1},
      {"middle of the first tab", {(firstRect.left + firstRect.right) / 2, midY}, false, 0},
      {"start of the last tab", {lastRect.left + 1, midY}, true, 1},
      {"a tab in between", {(TabRect(first + 1).left + TabRect(first + 1).right) / 2, midY}, false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    int direction = 0;
    EXPECT_EQ(viewInfo->GetDragScrollDirection(c.P, direction), c.Scrolls);
    if (c.Scrolls) {
      EXPECT_EQ(direction, c.Direction);
    }
  }
}

}  // namespace
