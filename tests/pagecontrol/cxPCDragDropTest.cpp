// Tabs of a page control dragged along their row by mouse messages: the
// drop position, the refused and empty drops, the user events around the
// drag, the image and the arrows shown during it, and the scroll zones of a
// single row.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "controls/cxDragImages.h"
#include "core/cxGeometry.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
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
  // A picture of CustomSize, when set.
  std::optional<SIZE> CustomSize;
  void PaintDragImage(rtl::TObject*, vcl::TBitmap* ABitmap, bool& ADone)
  {
    if (!CustomSize)
      return;
    ABitmap->SetSize(CustomSize->cx, CustomSize->cy);
    ADone = true;
  }
};

// What the feedback windows of a drag in progress show: their screen
// bounds, empty for a window that is not there or hidden.
struct TPCDragFeedback {
  // The dragged tab's full rectangle once the press selected it.
  TRect DraggedTab;
  // The destination's normal rectangle during the drag, empty without one.
  TRect DestinationTab;
  TRect Image;
  TRect FirstArrow;
  TRect SecondArrow;
};

// Rectangles as (left, top, right, bottom), for comparisons that print.
std::vector<int> PCSides(const TRect& R)
{
  return {R.left, R.top, R.right, R.bottom};
}

bool PCIsEmpty(const TRect& R)
{
  return R.right <= R.left || R.bottom <= R.top;
}

TRect PCVisibleWindowRect(vcl::TWinControl* AWindow)
{
  RECT r{};
  if (AWindow && AWindow->HandleAllocated() && IsWindowVisible(AWindow->GetHandle()))
    GetWindowRect(AWindow->GetHandle(), &r);
  return TRect{r.left, r.top, r.right, r.bottom};
}

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
    Pages->GetPropertiesObject()->SetOnPaintDragImage(
        TcxPCPaintDragImageEvent::Bind<&TPCDragEvents::PaintDragImage>(Events.get()));
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
  void Drag(const TPoint& AFrom, const TPoint& ATo, vcl::TCursor* ACursorDuringDrag = nullptr,
            TPCDragFeedback* AFeedback = nullptr, int AExpectedDestination = -1)
  {
    const HWND handle = Pages->GetHandle();
    SendMessageW(handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(AFrom.x, AFrom.y));
    SendMessageW(handle, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ATo.x, ATo.y));
    SendMessageW(handle, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ATo.x + 1, ATo.y));
    if (ACursorDuringDrag)
      *ACursorDuringDrag = vcl::Screen()->GetCursor();
    if (AFeedback) {
      TcxTabControlDragAndDropObject* drag = Pages->GetDragObject();
      AFeedback->DraggedTab = Pages->GetViewInfo()->GetTabViewInfo(drag->GetTabVisibleIndex())->GetFullRect();
      const int destination = drag->GetDestinationTabVisibleIndex();
      AFeedback->DestinationTab = destination == -1 ? TRect{} : TabRect(destination);
      EXPECT_EQ(destination, AExpectedDestination);
      AFeedback->Image = PCVisibleWindowRect(drag->GetDragImage());
      AFeedback->FirstArrow = PCVisibleWindowRect(drag->GetDestinationArrowFirst());
      AFeedback->SecondArrow = PCVisibleWindowRect(drag->GetDestinationArrowSecond());
    }
    SendMessageW(handle, WM_LBUTTONUP, 0, MAKELPARAM(ATo.x + 1, ATo.y));
  }
  TPoint ClientToScreen(const TPoint& P) const { return Pages->ClientToScreen(P); }
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
    vcl::TCursor cursor = vcl::crDefault;
    Drag(InTab(c.From, 2), InTab(c.Onto, c.Quarter), &cursor);
    EXPECT_EQ(Captions(), c.Order);
    EXPECT_EQ(Pages->GetActivePageIndex(), c.Active);
    EXPECT_TRUE(Pages->GetActivePage()->GetVisible());
    const bool kept = c.Order == Captions_{L"Model", L"CRUD", L"Fields"};
    // The cursor tells at the first step whether the drop would move the
    // tab.
    EXPECT_EQ(cursor, kept ? vcl::crNoDrop : vcl::crDefault);
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
  EXPECT_EQ(vcl::Screen()->GetCursor(), vcl::crDefault);
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

// The image of the dragged tab keeps the place where the tab was pressed
// under the pointer (a picture of the user's its top-left corner), and the
// arrows stand above and below the gap the tab lands in (beside it for tabs
// on the left), pointing at it. Checked by window bounds on the screen.
TEST_F(TPCDragFixture, TheImageFollowsThePointerAndTheArrowsMarkTheGap)
{
  enum TGap { gNone, gStartOfDestination, gEndOfDestination };
  struct {
    const char* Name;
    TcxTabPosition Position;
    int From;
    int Onto;
    int Quarter;
    int Destination;
    TGap Gap;
    bool CustomImage;
  } cases[] = {
      {"third onto the right half of the first", TcxTabPosition::tpTop, 2, 0, 3, 1, gStartOfDestination, false},
      {"third onto the left half of the first", TcxTabPosition::tpTop, 2, 0, 1, 0, gStartOfDestination, false},
      {"first onto the right half of the third", TcxTabPosition::tpTop, 0, 2, 3, 2, gEndOfDestination, false},
      {"first onto the left half of the second", TcxTabPosition::tpTop, 0, 1, 1, -1, gNone, false},
      {"bottom tabs, second onto the left half of the first", TcxTabPosition::tpBottom, 1, 0, 1, 0,
       gStartOfDestination, false},
      {"left tabs, third onto the later half of the first", TcxTabPosition::tpLeft, 2, 0, 3, 1,
       gStartOfDestination, false},
      {"left tabs, first onto the later half of the second", TcxTabPosition::tpLeft, 0, 1, 3, 1, gEndOfDestination,
       false},
      {"a picture of the user's", TcxTabPosition::tpTop, 2, 0, 3, 1, gStartOfDestination, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Pages->GetPropertiesObject()->SetTabPosition(c.Position);
    if (c.CustomImage)
      Events->CustomSize = SIZE{30, 20};
    const bool vertical = c.Position == TcxTabPosition::tpLeft;
    // Tabs on the left may run upwards: "later" follows the tabs.
    const bool upwards = vertical && TabRect(1).top < TabRect(0).top;
    // The pointer a quarter or three quarters along the tab in the
    // direction the tabs run.
    const auto at = [&](int AIndex, int AQuarter) {
      const TRect R = TabRect(AIndex);
      if (!vertical)
        return TPoint{R.left + (R.right - R.left) * AQuarter / 4, (R.top + R.bottom) / 2};
      const int along = (R.bottom - R.top) * AQuarter / 4;
      return TPoint{(R.left + R.right) / 2, upwards ? R.bottom - along : R.top + along};
    };
    const TPoint press = at(c.From, 2);
    const TPoint target = at(c.Onto, c.Quarter);
    // The image is held where the tab was pressed, before the press
    // selected it.
    const TRect pressed = Pages->GetViewInfo()->GetTabViewInfo(c.From)->GetFullRect();
    TPCDragFeedback feedback;
    Drag(press, target, nullptr, &feedback, c.Destination);
    Events->CustomSize.reset();

    // The last move went one pixel right of the target.
    const TPoint pointer = ClientToScreen(TPoint{target.x + 1, target.y});
    if (c.CustomImage) {
      EXPECT_EQ(PCSides(feedback.Image), PCSides(TRect{pointer.x, pointer.y, pointer.x + 30, pointer.y + 20}));
    } else {
      const TPoint corner{pointer.x + pressed.left - press.x, pointer.y + pressed.top - press.y};
      const TRect& dragged = feedback.DraggedTab;
      EXPECT_EQ(PCSides(feedback.Image), PCSides(TRect{corner.x, corner.y, corner.x + dragged.right - dragged.left,
                                                       corner.y + dragged.bottom - dragged.top}));
    }

    if (c.Gap == gNone) {
      EXPECT_TRUE(PCIsEmpty(feedback.FirstArrow));
      EXPECT_TRUE(PCIsEmpty(feedback.SecondArrow));
    } else {
      ASSERT_FALSE(PCIsEmpty(feedback.FirstArrow));
      EXPECT_EQ(cxRectGetWidth(feedback.FirstArrow), cxRectGetWidth(feedback.SecondArrow));
      EXPECT_EQ(cxRectGetHeight(feedback.FirstArrow), cxRectGetHeight(feedback.SecondArrow));
      const TPoint origin = ClientToScreen(TPoint{0, 0});
      const TRect client = Pages->GetClientRect();
      const TRect destination = feedback.DestinationTab;
      if (vertical) {
        const bool lowEdge = (c.Gap == gStartOfDestination) != upwards;
        const int gap = origin.y + (lowEdge ? destination.top : destination.bottom);
        EXPECT_EQ(feedback.FirstArrow.right, origin.x + std::max(destination.left, client.left));
        EXPECT_EQ(feedback.SecondArrow.left, origin.x + std::min(destination.right, client.right - 1));
        for (const TRect& arrow : {feedback.FirstArrow, feedback.SecondArrow})
          EXPECT_LE(std::abs((arrow.top + arrow.bottom) / 2 - gap), 1);
      } else {
        const int gap = origin.x + (c.Gap == gStartOfDestination ? destination.left : destination.right);
        EXPECT_EQ(feedback.FirstArrow.bottom, origin.y + std::max(destination.top, client.top));
        EXPECT_EQ(feedback.SecondArrow.top, origin.y + std::min(destination.bottom, client.bottom - 1));
        for (const TRect& arrow : {feedback.FirstArrow, feedback.SecondArrow})
          EXPECT_LE(std::abs((arrow.left + arrow.right) / 2 - gap), 1);
      }
    }
    // Nothing stays on the screen after the drop.
    TcxTabControlDragAndDropObject* after = Pages->GetDragObject();
    EXPECT_EQ(after->GetDragImage(), nullptr);
    EXPECT_EQ(after->GetDestinationArrowFirst(), nullptr);
    // Back to the first order, the first page active.
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j)
        if (Pages->GetPage(j)->GetCaption() == std::vector<std::wstring>{L"Model", L"CRUD", L"Fields"}[i])
          Pages->GetPage(j)->SetPageIndex(i);
    Pages->SetActivePageIndex(0);
  }
}

// A drag in progress for review: KV_RENDER_DIR=<folder> writes
// TabDrag.png there, the control with the drag image and the arrows
// composed at their places.
TEST_F(TPCDragFixture, RendersADragInProgressForReview)
{
  const TRect bounds = Pages->GetBoundsRect();
  const HWND handle = Pages->GetHandle();
  const TPoint press = InTab(2, 2);
  const TPoint target = InTab(0, 3);
  SendMessageW(handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
  SendMessageW(handle, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(target.x, target.y));
  SendMessageW(handle, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(target.x + 1, target.y));
  TcxTabControlDragAndDropObject* drag = Pages->GetDragObject();
  ASSERT_NE(drag->GetDestinationArrowFirst(), nullptr);
  // A margin of 20 pixels around the control for the arrows.
  const int margin = 20;
  const rtl::TOwnedPtr<TcxBitmap> sheet(rtl::NewWith<TcxBitmap>(
      [&](TcxBitmap* B) { B->CreateSize(cxRectGetWidth(bounds) + 2 * margin, cxRectGetHeight(bounds) + 2 * margin); }));
  TcxCanvas* canvas = sheet->GetcxCanvas();
  canvas->FillRect(TRect{0, 0, sheet->GetWidth(), sheet->GetHeight()}, vcl::clWhite);
  Pages->PaintTo(canvas->GetHandle(), margin, margin);
  const TPoint origin = Pages->ClientToScreen(TPoint{0, 0});
  const auto offset = [&](const TRect& R) {
    return TRect{R.left - origin.x + margin, R.top - origin.y + margin, R.right - origin.x + margin,
                 R.bottom - origin.y + margin};
  };
  const TRect image = offset(PCVisibleWindowRect(drag->GetDragImage()));
  BitBlt(canvas->GetHandle(), image.left, image.top, cxRectGetWidth(image), cxRectGetHeight(image),
         drag->GetDragImage()->GetImage()->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
  // The arrows are drawn as their windows show them.
  TcxDragAndDropArrow::Draw(canvas, offset(PCVisibleWindowRect(drag->GetDestinationArrowFirst())),
                            TcxArrowPlace::apTop, Pages->GetScaleFactor());
  TcxDragAndDropArrow::Draw(canvas, offset(PCVisibleWindowRect(drag->GetDestinationArrowSecond())),
                            TcxArrowPlace::apBottom, Pages->GetScaleFactor());
  SendMessageW(handle, WM_LBUTTONUP, 0, MAKELPARAM(target.x + 1, target.y));
  const rtl::TOwnedPtr<TdxPNGImage> png(rtl::New<TdxPNGImage>());
  png->LoadFromBitmap(sheet.get());
  if (const char* folder = std::getenv("KV_RENDER_DIR"))
    png->SaveToFile(std::wstring(folder, folder + std::strlen(folder)) + L"\\TabDrag.png");
}

}  // namespace
