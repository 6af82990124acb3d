// The tree view: defaults, its nodes as the window shows them (TVM_
// messages), hit tests in the container's coordinates, the keys the tree
// never sees, and the routines that move selections between tree views and
// lists. The disabled Render case draws a tree view into TreeView.png for
// people to look at (to the folder named by KV_RENDER_DIR).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/ClassesComponents.h"
#include "platform/vcl/GraphicsHandles.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "simplecontrols/cxTreeView.h"
#include "tests/support/TestHost.h"

namespace {

class TcxTreeViewTestFixture : public kvtest::THostedTest {
 public:
  void InnerKeyPressed(rtl::TObject* /*Sender*/, wchar_t& AKey) { InnerKeys += AKey; }

 protected:
  void SetUp() override
  {
    THostedTest::SetUp();
    Tree = AddChild<TcxTreeView>({10, 10, 210, 210});
    vcl::TTreeNodes* ANodes = Tree->GetItems();
    Fruit = ANodes->AddObject(nullptr, L"Fruit", &Data[0]);
    Apple = ANodes->AddChildObject(Fruit, L"Apple", &Data[1]);
    Pear = ANodes->AddChildObject(Fruit, L"Pear", &Data[2]);
    Veg = ANodes->AddObject(nullptr, L"Vegetables", &Data[3]);
    Leek = ANodes->AddChildObject(Veg, L"Leek", &Data[4]);
    Plain = ANodes->AddChild(Veg, L"No data");
    Tree->FullExpand();
    kvtest::PumpMessages();
  }

  HWND Inner() const { return Tree->GetInnerTreeView()->GetHandle(); }

  std::wstring ItemText(HTREEITEM AItem) const
  {
    wchar_t AText[64] = {};
    TVITEMW AInfo{};
    AInfo.mask = TVIF_TEXT;
    AInfo.hItem = AItem;
    AInfo.pszText = AText;
    AInfo.cchTextMax = 64;
    SendMessageW(Inner(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&AInfo));
    return AText;
  }

  bool ItemSelectedState(vcl::TTreeNode* ANode) const
  {
    return (SendMessageW(Inner(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(ANode->GetItemId()), TVIS_SELECTED) &
            TVIS_SELECTED) != 0;
  }

  // The texts of AParent's children (of the roots without a parent), as the
  // nodes have them and as the window shows them.
  std::vector<std::wstring> NodeOrder(vcl::TTreeNode* AParent) const
  {
    std::vector<std::wstring> result;
    if (AParent) {
      for (int i = 0; i < AParent->GetCount(); ++i)
        result.push_back(AParent->GetItem(i)->GetText());
    } else {
      for (vcl::TTreeNode* ANode = Tree->GetItems()->GetFirstNode(); ANode; ANode = ANode->GetNextSibling())
        result.push_back(ANode->GetText());
    }
    return result;
  }
  std::vector<std::wstring> WindowOrder(vcl::TTreeNode* AParent) const
  {
    std::vector<std::wstring> result;
    auto AItem = reinterpret_cast<HTREEITEM>(
        AParent ? SendMessageW(Inner(), TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(AParent->GetItemId()))
                : SendMessageW(Inner(), TVM_GETNEXTITEM, TVGN_ROOT, 0));
    for (; AItem; AItem = reinterpret_cast<HTREEITEM>(
                      SendMessageW(Inner(), TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(AItem))))
      result.push_back(ItemText(AItem));
    return result;
  }

  int Data[5] = {};
  TcxTreeView* Tree = nullptr;
  vcl::TTreeNode* Fruit = nullptr;
  vcl::TTreeNode* Apple = nullptr;
  vcl::TTreeNode* Pear = nullptr;
  vcl::TTreeNode* Veg = nullptr;
  vcl::TTreeNode* Leek = nullptr;
  vcl::TTreeNode* Plain = nullptr;
  std::wstring InnerKeys;
};

rtl::TOwnedPtr<TcxBitmap> CaptureTreeHost(HWND AHost, int AWidth, int AHeight)
{
  rtl::TOwnedPtr<TcxBitmap> ABitmap(rtl::NewWith<TcxBitmap>([=](TcxBitmap* B) { B->CreateSize(AWidth, AHeight); }));
  vcl::TWindowDC AHostDC(AHost);
  BitBlt(ABitmap->GetcxCanvas()->GetHandle(), 0, 0, AWidth, AHeight, AHostDC.Get(), 0, 0, SRCCOPY);
  return ABitmap;
}

}  // namespace

TEST(cxTreeView, Defaults)
{
  rtl::TOwnedPtr<TcxTreeView> ATree(rtl::New<TcxTreeView>(nullptr));
  EXPECT_EQ(ATree->GetWidth(), 120);
  EXPECT_EQ(ATree->GetHeight(), 100);
  EXPECT_TRUE(ATree->GetShowButtons());
  EXPECT_TRUE(ATree->GetShowLines());
  EXPECT_TRUE(ATree->GetShowRoot());
  EXPECT_TRUE(ATree->GetHideSelection());
  EXPECT_TRUE(ATree->GetToolTips());
  EXPECT_EQ(ATree->GetIndent(), 19);
  EXPECT_EQ(ATree->GetItemHeight(), -1);
  EXPECT_FALSE(ATree->GetMultiSelect());
  EXPECT_EQ(ATree->GetInnerControl(), ATree->GetInnerTreeView());
}

TEST_F(TcxTreeViewTestFixture, NodesAsTheWindowShowsThem)
{
  EXPECT_EQ(SendMessageW(Inner(), TVM_GETCOUNT, 0, 0), 6);
  const struct {
    vcl::TTreeNode* Node;
    const wchar_t* Text;
    vcl::TTreeNode* Parent;
  } cases[] = {{Fruit, L"Fruit", nullptr}, {Apple, L"Apple", Fruit}, {Pear, L"Pear", Fruit},
               {Leek, L"Leek", Veg},       {Plain, L"No data", Veg}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::wstring(c.Text));
    EXPECT_EQ(ItemText(c.Node->GetItemId()), c.Text);
    const auto AParent = reinterpret_cast<HTREEITEM>(
        SendMessageW(Inner(), TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(c.Node->GetItemId())));
    EXPECT_EQ(AParent, c.Parent ? c.Parent->GetItemId() : nullptr);
  }
  Tree->SetSelected(Pear);
  EXPECT_EQ(reinterpret_cast<HTREEITEM>(SendMessageW(Inner(), TVM_GETNEXTITEM, TVGN_CARET, 0)), Pear->GetItemId());
  Leek->Delete();
  EXPECT_EQ(SendMessageW(Inner(), TVM_GETCOUNT, 0, 0), 5);
  Tree->SetItemHeight(30);
  EXPECT_EQ(SendMessageW(Inner(), TVM_GETITEMHEIGHT, 0, 0), 30);
}

TEST_F(TcxTreeViewTestFixture, HitTestsInTheContainersCoordinates)
{
  vcl::TWinControl* AInner = Tree->GetInnerTreeView();
  ASSERT_TRUE(AInner->GetLeft() > 0 || AInner->GetTop() > 0);
  const TRect R = Apple->DisplayRect(true);
  const TPoint AInInner{R.left + 2, (R.top + R.bottom) / 2};
  const TPoint AInContainer{AInInner.x + AInner->GetLeft(), AInInner.y + AInner->GetTop()};
  EXPECT_EQ(Tree->GetNodeAt(AInContainer.x, AInContainer.y), Apple);
  EXPECT_TRUE(Tree->GetHitTestInfoAt(AInContainer.x, AInContainer.y).Contains(vcl::THitTest::htOnItem));
  // The parent's coordinates count the tree view's place, not the inner
  // window's place inside it.
  const TPoint AInParent{AInInner.x + Tree->GetLeft(), AInInner.y + Tree->GetTop()};
  EXPECT_EQ(cxTreeViewNodeAtParentPoint(Tree, AInParent), Apple);
  EXPECT_EQ(dxTreeViewNodeAtPoint(Tree->GetInnerTreeView(), {R.right + 60, AInInner.y}), nullptr);
}

TEST_F(TcxTreeViewTestFixture, TabAndEnterNeverReachTheTree)
{
  Tree->GetInnerTreeView()->SetOnKeyPress(vcl::TKeyPressEvent::Bind<&TcxTreeViewTestFixture::InnerKeyPressed>(this));
  for (wchar_t AChar : {L'\t', L'\r', L'a'})
    SendMessageW(Inner(), WM_CHAR, AChar, 0);
  EXPECT_EQ(InnerKeys, L"a");
}

TEST_F(TcxTreeViewTestFixture, FindNodeByData)
{
  const struct {
    void* Data;
    vcl::TTreeNode* Node;
  } cases[] = {{&Data[0], Fruit}, {&Data[2], Pear}, {&Data[4], Leek}, {&InnerKeys, nullptr}};
  for (const auto& c : cases) {
    vcl::TTreeNode* AFound = nullptr;
    EXPECT_EQ(dxTreeViewFindNodeByData(Tree->GetInnerTreeView(), c.Data, AFound), c.Node != nullptr);
    EXPECT_EQ(AFound, c.Node);
  }
}

TEST_F(TcxTreeViewTestFixture, SelectionsMoveThroughLists)
{
  Tree->SetMultiSelect(true);
  rtl::TOwnedPtr<rtl::TList> AList(rtl::New<rtl::TList>());
  AList->Add(&Data[2]);
  AList->Add(&Data[4]);
  dxTreeViewSelectFromList(Tree->GetInnerTreeView(), AList.get());
  ASSERT_EQ(Tree->GetSelectionCount(), 2);
  for (vcl::TTreeNode* ANode : {Fruit, Apple, Pear, Veg, Leek, Plain}) {
    SCOPED_TRACE(std::wstring(ANode->GetText().c_str()));
    const bool AExpected = ANode == Pear || ANode == Leek;
    EXPECT_EQ(ANode->GetSelected(), AExpected);
    EXPECT_EQ(ItemSelectedState(ANode), AExpected);
    EXPECT_EQ(ANode->GetFocused(), AExpected);
  }
  rtl::TOwnedPtr<rtl::TList> ABack(rtl::New<rtl::TList>());
  dxTreeViewSelectionToList(Tree->GetInnerTreeView(), ABack.get());
  ASSERT_EQ(ABack->GetCount(), 2);
  EXPECT_EQ(ABack->GetItem(0), &Data[2]);
  EXPECT_EQ(ABack->GetItem(1), &Data[4]);

  // A freed node leaves the selection.
  Leek->Delete();
  EXPECT_EQ(Tree->GetSelectionCount(), 1);

  AList->Clear();
  dxTreeViewSelectFromList(Tree->GetInnerTreeView(), AList.get());
  EXPECT_EQ(Tree->GetSelectionCount(), 0);
  EXPECT_EQ(Tree->GetSelected(), nullptr);
  EXPECT_FALSE(ItemSelectedState(Pear));
}

int CALLBACK TreeViewTestReverseText(LPARAM LParam1, LPARAM LParam2, LPARAM /*AData*/)
{
  return -rtl::AnsiCompareText(reinterpret_cast<vcl::TTreeNode*>(LParam1)->GetText(),
                               reinterpret_cast<vcl::TTreeNode*>(LParam2)->GetText());
}

class TcxTreeViewTestEvents : public rtl::TObject {
  RTL_CLASS(TcxTreeViewTestEvents, rtl::TObject)

 public:
  bool AllowEdit = true;
  std::vector<std::wstring> Log;
  void Compare(rtl::TObject*, vcl::TTreeNode* ANode1, vcl::TTreeNode* ANode2, std::intptr_t, int& ACompare)
  {
    // Longest text first.
    ACompare = static_cast<int>(ANode2->GetText().size()) - static_cast<int>(ANode1->GetText().size());
  }
  void Addition(rtl::TObject*, vcl::TTreeNode* ANode) { Log.push_back(L"added " + ANode->GetText()); }
  void Editing(rtl::TObject*, vcl::TTreeNode*, bool& AAllow) { AAllow = AllowEdit; }
  void Edited(rtl::TObject*, vcl::TTreeNode*, rtl::String& S) { S += L"!"; }
  void CancelEdit(rtl::TObject*, vcl::TTreeNode* ANode) { Log.push_back(L"cancelled " + ANode->GetText()); }
};

TEST_F(TcxTreeViewTestFixture, SortingKeepsNodesAndWindowInOneOrder)
{
  using V = std::vector<std::wstring>;
  rtl::TOwnedPtr<TcxTreeViewTestEvents> AEvents(rtl::New<TcxTreeViewTestEvents>());
  Tree->GetItems()->Add(nullptr, L"Bread");
  struct Case {
    const char* Name;
    std::function<void()> Act;
    V Roots;
    V FruitChildren;
  };
  const Case cases[] = {
      {"unsorted: in the order added", [] {}, V{L"Fruit", L"Vegetables", L"Bread"}, V{L"Apple", L"Pear"}},
      {"a custom sort, recursive", [&] { Tree->CustomSort(&TreeViewTestReverseText, 0, true); },
       V{L"Vegetables", L"Fruit", L"Bread"}, V{L"Pear", L"Apple"}},
      {"sorting by text", [&] { Tree->SetSortType(vcl::TSortType::stText); }, V{L"Bread", L"Fruit", L"Vegetables"},
       V{L"Apple", L"Pear"}},
      {"a node added to a sorted tree takes its place", [&] { Tree->GetItems()->Add(nullptr, L"Cheese"); },
       V{L"Bread", L"Cheese", L"Fruit", L"Vegetables"}, V{L"Apple", L"Pear"}},
      {"OnCompare decides AlphaSort",
       [&] {
         Tree->SetOnCompare(vcl::TTVCompareEvent::Bind<&TcxTreeViewTestEvents::Compare>(AEvents.get()));
         Tree->AlphaSort(false);
       },
       V{L"Vegetables", L"Cheese", L"Bread", L"Fruit"}, V{L"Apple", L"Pear"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    c.Act();
    EXPECT_EQ(NodeOrder(nullptr), c.Roots);
    EXPECT_EQ(WindowOrder(nullptr), c.Roots);
    EXPECT_EQ(NodeOrder(Fruit), c.FruitChildren);
    EXPECT_EQ(WindowOrder(Fruit), c.FruitChildren);
  }
}

TEST_F(TcxTreeViewTestFixture, LabelEditsAndAdditionsReachTheEvents)
{
  rtl::TOwnedPtr<TcxTreeViewTestEvents> AEvents(rtl::New<TcxTreeViewTestEvents>());
  Tree->SetOnAddition(vcl::TTVExpandedEvent::Bind<&TcxTreeViewTestEvents::Addition>(AEvents.get()));
  Tree->SetOnEditing(vcl::TTVEditingEvent::Bind<&TcxTreeViewTestEvents::Editing>(AEvents.get()));
  Tree->SetOnEdited(vcl::TTVEditedEvent::Bind<&TcxTreeViewTestEvents::Edited>(AEvents.get()));
  Tree->SetOnCancelEdit(vcl::TTVChangedEvent::Bind<&TcxTreeViewTestEvents::CancelEdit>(AEvents.get()));
  Tree->GetItems()->AddChild(Veg, L"Kale");
  EXPECT_EQ(AEvents->Log, std::vector<std::wstring>{L"added Kale"});
  AEvents->Log.clear();

  Tree->GetInnerTreeView()->SetFocus();
  struct Case {
    const char* Name;
    bool Allow;
    bool Cancel;
    const wchar_t* Text;
    const wchar_t* Logged;
  };
  const Case cases[] = {
      {"OnEditing refuses", false, false, L"Apple", nullptr},
      {"an accepted edit passes through OnEdited", true, false, L"Apple!", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    AEvents->AllowEdit = c.Allow;
    AEvents->Log.clear();
    const auto AEdit = reinterpret_cast<HWND>(
        SendMessageW(Inner(), TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(Apple->GetItemId())));
    EXPECT_EQ(AEdit != nullptr, c.Allow);
    if (AEdit) {
      EXPECT_TRUE(Tree->IsEditing());
      SendMessageW(Inner(), TVM_ENDEDITLABELNOW, c.Cancel, 0);
    }
    kvtest::PumpMessages();
    EXPECT_FALSE(Tree->IsEditing());
    EXPECT_EQ(Apple->GetText(), c.Text);
    EXPECT_EQ(ItemText(Apple->GetItemId()), c.Text);
    EXPECT_EQ(AEvents->Log, c.Logged ? std::vector<std::wstring>{c.Logged} : std::vector<std::wstring>{});
  }
}

TEST_F(TcxTreeViewTestFixture, DISABLED_Render)
{
  Tree->SetHideSelection(false);
  Tree->SetMultiSelect(true);
  // The window draws the selection in the highlight only while it has the
  // focus; without it, in the button face.
  Tree->GetInnerTreeView()->SetFocus();
  Tree->Select(Apple);
  Tree->Select(Leek, {vcl::TShiftStateItem::ssCtrl});
  FHost->SetColor(vcl::clBtnFace);
  FHost->Invalidate();
  kvtest::PumpMessages();
  UpdateWindow(FHost->GetHandle());
  rtl::TOwnedPtr<TcxBitmap> ABitmap = CaptureTreeHost(FHost->GetHandle(), 220, 220);
  const rtl::TOwnedPtr<TdxPNGImage> APng(rtl::New<TdxPNGImage>());
  APng->LoadFromBitmap(ABitmap.get());
  if (const char* AFolder = std::getenv("KV_RENDER_DIR"))
    APng->SaveToFile(std::wstring(AFolder, AFolder + std::strlen(AFolder)) + L"\\TreeView.png");
}
