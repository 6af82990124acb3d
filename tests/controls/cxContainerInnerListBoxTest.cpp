#include <gtest/gtest.h>

#include "controls/cxContainer.h"
#include "tests/controls/ControlsTestSupport.h"
#include "tests/support/TestHost.h"

namespace {

// The list box editors create: it knows its container.
class TInnerListTestList : public TcxCustomInnerListBox {
  RTL_CLASS(TInnerListTestList, TcxCustomInnerListBox)

 public:
  void SetContainer(TcxContainer* AContainer) { FContainer = AContainer; }
};

// A container around the list; whether it draws scroll bars itself is the
// test's choice.
class TInnerListTestEditor : public TcxContainer {
  RTL_CLASS(TInnerListTestEditor, TcxContainer)

 public:
  void Create(rtl::TComponent* AOwner) override
  {
    inherited::Create(AOwner);
    GetStyle()->GetLookAndFeel()->SetNativeStyle(false);
    List = rtl::New<TInnerListTestList>(this);
    List->SetContainer(this);
    List->SetParent(this);
    SetInnerControl(List);
  }
  TInnerListTestList* List;
  bool DrawsScrollBars = false;

 protected:
  bool NeedsScrollBars() override { return DrawsScrollBars; }
};

class InnerListBoxTest : public kvtest::THostedTest {
 protected:
  TInnerListTestEditor* AddList(bool ADrawsScrollBars, int AItems)
  {
    auto* AEditor = rtl::New<TInnerListTestEditor>(FHost.get());
    AEditor->DrawsScrollBars = ADrawsScrollBars;
    AEditor->SetBoundsRect(TRect{10, 10, 150, 110});
    AEditor->SetParent(FHost.get());
    // One update of the own bars for the whole fill, drawn once.
    AEditor->List->LockScrollBars();
    SendMessageW(AEditor->List->GetHandle(), WM_SETREDRAW, FALSE, 0);
    for (int AItem = 0; AItem < AItems; ++AItem)
      AEditor->List->GetItems()->Add(L"item " + std::to_wstring(AItem));
    SendMessageW(AEditor->List->GetHandle(), WM_SETREDRAW, TRUE, 0);
    AEditor->List->UnlockScrollBars();
    kvtest::PumpMessages();
    return AEditor;
  }

  static void Type(TInnerListTestList* AList, const wchar_t* AKeys)
  {
    for (const wchar_t* AKey = AKeys; *AKey; ++AKey)
      SendMessageW(AList->GetHandle(), WM_CHAR, *AKey, 1);
  }
};

TEST_F(InnerListBoxTest, TypeAheadFindsTheFirstItemThatBeginsWithTheKeys)
{
  TInnerListTestEditor* AEditor = AddList(false, 0);
  TInnerListTestList* AList = AEditor->List;
  for (const wchar_t* AItem : {L"apple", L"apricot", L"banana", L"blueberry"})
    AList->GetItems()->Add(AItem);
  AList->SetAutoCompleteDelay(3600000);

  Type(AList, L"apr");
  EXPECT_EQ(AList->GetItemIndex(), 1);
  Type(AList, L"\b");
  EXPECT_EQ(AList->GetAutoCompleteFilter(), L"ap");
  EXPECT_EQ(AList->GetItemIndex(), 0);
  Type(AList, L"x");
  EXPECT_EQ(AList->GetItemIndex(), 0) << "no item begins with apx: the selection stays";
  Type(AList, L"\t");
  EXPECT_EQ(AList->GetAutoCompleteFilter(), L"apx") << "Tab reaches neither the list nor the container";

  // After the pause a key starts a new search.
  AList->SetAutoCompleteDelay(0);
  Type(AList, L"bl");
  EXPECT_EQ(AList->GetAutoCompleteFilter(), L"l");
  EXPECT_EQ(AList->GetItemIndex(), 2) << "b found banana; nothing begins with l";
}

TEST_F(InnerListBoxTest, OwnBarsLieOnTheNativeOnesUnlessTheContainerDrawsBars)
{
  TInnerListTestEditor* AEditor = AddList(false, 50);
  TInnerListTestList* AList = AEditor->List;
  AList->SetExternalScrollBarsParameters();
  TcxScrollBar* AVertical = AList->GetVScrollBar();
  ASSERT_TRUE(AVertical->GetVisible());
  SCROLLBARINFO AInfo;
  ASSERT_TRUE(cxGetScrollBarInfo(AList->GetHandle(), OBJID_VSCROLL, AInfo));
  EXPECT_EQ(AVertical->GetBoundsRect(), AEditor->ScreenToClient(TRect(AInfo.rcScrollBar)));
  EXPECT_FALSE(AList->GetHScrollBar()->GetVisible()) << "no horizontal extent";
  EXPECT_EQ(AList->GetHScrollBar()->GetMax(), 0);

  SendMessageW(AList->GetHandle(), LB_SETTOPINDEX, 20, 0);
  EXPECT_EQ(AVertical->GetPosition(), 20);

  TInnerListTestEditor* ADrawing = AddList(true, 50);
  ADrawing->List->SetExternalScrollBarsParameters();
  SendMessageW(ADrawing->List->GetHandle(), LB_SETTOPINDEX, 20, 0);
  EXPECT_FALSE(ADrawing->List->GetVScrollBar()->GetVisible());
  EXPECT_FALSE(ADrawing->List->GetHScrollBar()->GetVisible());
}

}  // namespace
