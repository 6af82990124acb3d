// TTreeNode, TTreeNodes, TCustomTreeView; TTextAttributes, TRichEditStrings,
// TCustomRichEdit.
#include "platform/vcl/ComCtrls.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <utility>

#include "platform/rtl/ClassesThreads.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/ImgList.h"

using enum rtl::TComponentStateFlag;
using enum rtl::TOperation;
using enum vcl::TControlStateItem;
using enum vcl::TControlStyleItem;
using enum vcl::TFontStyle;
using enum vcl::TFormBorderStyle;
using enum vcl::THitTest;

namespace vcl {

using rtl::InheritedMessage;

namespace {

// The tree view's window class is registered by comctl32 on request.
void ComCtrlsInitTreeViewClass()
{
  static const bool registered = [] {
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_TREEVIEW_CLASSES};
    return InitCommonControlsEx(&classes) != FALSE;
  }();
  (void)registered;
}

// AAction on each node and its children, depth first.
template <class F>
void ComCtrlsForEachNode(TTreeNode* ANode, const F& AAction)
{
  AAction(ANode);
  for (int i = 0; i < ANode->GetCount(); ++i)
    ComCtrlsForEachNode(ANode->GetItem(i), AAction);
}

template <class F>
void ComCtrlsForEachNode(const std::vector<TTreeNode*>& ANodes, const F& AAction)
{
  for (TTreeNode* node : ANodes)
    ComCtrlsForEachNode(node, AAction);
}

// Not in the platform headers of every toolchain.
constexpr UINT kComCtrlsFocusedState = 0x0001;

int ComCtrlsScreenPixelsPerInch()
{
  const TScreenDC dc;
  return GetDeviceCaps(dc.Get(), LOGPIXELSY);
}

}  // namespace

// ---------------------------------------------------------------------------
// TTreeNode

void TTreeNode::Create(TTreeNodes* AOwner)
{
  inherited::Create();
  FOwner = AOwner;
  FImageIndex = -1;
  FSelectedIndex = -1;
  FStateIndex = -1;
}

TCustomTreeView* TTreeNode::GetTreeView() const
{
  return FOwner ? FOwner->FOwner : nullptr;
}

// The window's item goes first, at the top of the deleted branch (the
// window takes the children's items with it), so that no window message
// reaches a node already freed; OnDeletion of each node comes before its
// children's, as the window reports them.
void TTreeNode::Destroy()
{
  FDeleting = true;
  TCustomTreeView* tree = GetTreeView();
  if (tree) {
    tree->Delete(this);
    tree->ForgetSelection(this);
  }
  const bool isTop = !FParent || !FParent->FDeleting;
  if (isTop && FItemId && tree && tree->HandleAllocated()) {
    SendMessageW(tree->GetHandle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(FItemId));
    FItemId = nullptr;
    ComCtrlsForEachNode(FChildren, [](TTreeNode* ANode) { ANode->FItemId = nullptr; });
  }
  std::vector<TTreeNode*> children = std::move(FChildren);
  FChildren.clear();
  for (TTreeNode* child : children)
    rtl::Free(child);
  if (isTop && FOwner) {
    std::vector<TTreeNode*>& siblings = Siblings();
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    if (FParent && siblings.empty())
      FParent->SetHasChildren(false);
  }
  if (tree) {
    if (tree->FSaveSelected == this)
      tree->FSaveSelected = nullptr;
    if (tree->FSaveTopItem == this)
      tree->FSaveTopItem = nullptr;
  }
  inherited::Destroy();
}

void TTreeNode::Delete()
{
  rtl::Free(this);
}

void TTreeNode::DeleteChildren()
{
  while (!FChildren.empty())
    rtl::Free(FChildren.back());
}

std::vector<TTreeNode*>& TTreeNode::Siblings() const
{
  return FParent ? FParent->FChildren : FOwner->FRoots;
}

void TTreeNode::UpdateItem(UINT AMask) const
{
  TCustomTreeView* tree = GetTreeView();
  if (!FItemId || !tree || !tree->HandleAllocated())
    return;
  TVITEMW item{};
  item.mask = AMask | TVIF_HANDLE;
  item.hItem = FItemId;
  item.pszText = const_cast<wchar_t*>(FText.c_str());
  item.cChildren = FHasChildren ? 1 : 0;
  item.stateMask = TVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(std::max(FStateIndex, 0));
  SendMessageW(tree->GetHandle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

// The images come through TVN_GETDISPINFO (OnGetImageIndex may change
// them), so a new index only needs the item drawn again.
void TTreeNode::InvalidateItem() const
{
  TCustomTreeView* tree = GetTreeView();
  const TRect rect = DisplayRect(false);
  if (tree && tree->HandleAllocated() && !IsRectEmpty(&rect))
    InvalidateRect(tree->GetHandle(), &rect, TRUE);
}

void TTreeNode::SetText(const String& AValue)
{
  FText = AValue;
  UpdateItem(TVIF_TEXT);
}

void TTreeNode::SetImageIndex(int AValue)
{
  if (FImageIndex == AValue)
    return;
  FImageIndex = AValue;
  InvalidateItem();
}

void TTreeNode::SetSelectedIndex(int AValue)
{
  if (FSelectedIndex == AValue)
    return;
  FSelectedIndex = AValue;
  InvalidateItem();
}

void TTreeNode::SetStateIndex(int AValue)
{
  if (FStateIndex == AValue)
    return;
  FStateIndex = AValue;
  UpdateItem(TVIF_STATE);
}

void TTreeNode::SetHasChildren(bool AValue)
{
  if (FHasChildren == AValue)
    return;
  FHasChildren = AValue;
  UpdateItem(TVIF_CHILDREN);
}

TTreeNode* TTreeNode::GetItem(int AIndex) const
{
  if (AIndex < 0 || AIndex >= GetCount())
    rtl::ListIndexError(AIndex);
  return FChildren[static_cast<std::size_t>(AIndex)];
}

int TTreeNode::GetLevel() const
{
  int level = 0;
  for (const TTreeNode* parent = FParent; parent; parent = parent->FParent)
    ++level;
  return level;
}

int TTreeNode::GetIndex() const
{
  const std::vector<TTreeNode*>& siblings = Siblings();
  return static_cast<int>(std::distance(siblings.begin(), std::find(siblings.begin(), siblings.end(), this)));
}

int TTreeNode::GetAbsoluteIndex() const
{
  int index = 0;
  for (const TTreeNode* node = FOwner->GetFirstNode(); node && node != this; node = node->GetNext())
    ++index;
  return index;
}

TTreeNode* TTreeNode::GetNextSibling() const
{
  const std::vector<TTreeNode*>& siblings = Siblings();
  const auto at = std::find(siblings.begin(), siblings.end(), this);
  return at == siblings.end() || std::next(at) == siblings.end() ? nullptr : *std::next(at);
}

TTreeNode* TTreeNode::GetPrevSibling() const
{
  const std::vector<TTreeNode*>& siblings = Siblings();
  const auto at = std::find(siblings.begin(), siblings.end(), this);
  return at == siblings.begin() || at == siblings.end() ? nullptr : *std::prev(at);
}

TTreeNode* TTreeNode::GetNext() const
{
  if (!FChildren.empty())
    return FChildren.front();
  for (const TTreeNode* node = this; node; node = node->FParent)
    if (TTreeNode* next = node->GetNextSibling())
      return next;
  return nullptr;
}

bool TTreeNode::HasAsParent(const TTreeNode* AValue) const
{
  for (const TTreeNode* parent = FParent; parent; parent = parent->FParent)
    if (parent == AValue)
      return true;
  return false;
}

bool TTreeNode::GetExpanded() const
{
  TCustomTreeView* tree = GetTreeView();
  if (!FItemId || !tree || !tree->HandleAllocated())
    return FExpanded;
  return (SendMessageW(tree->GetHandle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(FItemId), TVIS_EXPANDED) &
          TVIS_EXPANDED) != 0;
}

void TTreeNode::SetExpanded(bool AValue)
{
  if (AValue)
    Expand(false);
  else
    Collapse(false);
}

void TTreeNode::Expand(bool ARecurse)
{
  ExpandItem(true, ARecurse);
}

void TTreeNode::Collapse(bool ARecurse)
{
  ExpandItem(false, ARecurse);
}

// The events come from here and not from the window, which reports an
// expansion by program only the first time an item opens. A node that is
// already in the state asked for hears nothing.
void TTreeNode::ExpandItem(bool AExpand, bool ARecurse)
{
  // The events may delete this node, a child or the whole tree; once this
  // node is gone nothing of it is touched, and an outer expansion of a
  // parent being deleted with it hears of it too.
  rtl::TFreeWatch watch(this);
  TCustomTreeView* tree = GetTreeView();
  const bool change = GetExpanded() != AExpand && (!AExpand || FHasChildren);
  if (change && (AExpand ? tree->CanExpand(this) : tree->CanCollapse(this)) && !watch.Freed()) {
    if (FItemId && tree->HandleAllocated()) {
      ++tree->FManualNotify;
      rtl::Finally manual([tree] { --tree->FManualNotify; });
      SendMessageW(tree->GetHandle(), TVM_EXPAND, AExpand ? TVE_EXPAND : TVE_COLLAPSE,
                   reinterpret_cast<LPARAM>(FItemId));
    }
    if (watch.Freed())
      return;
    FExpanded = AExpand;
    if (AExpand)
      tree->Expand(this);
    else
      tree->Collapse(this);
  }
  if (!ARecurse)
    return;
  const std::vector<TTreeNode*> children = FChildren;
  for (TTreeNode* child : children) {
    if (watch.Freed())
      return;
    // A child deleted by an earlier child's events is skipped.
    if (std::find(FChildren.begin(), FChildren.end(), child) != FChildren.end())
      child->ExpandItem(AExpand, true);
  }
}

bool TTreeNode::GetSelected() const
{
  TCustomTreeView* tree = GetTreeView();
  if (tree && tree->FMultiSelect)
    return tree->IsInSelection(this);
  return tree && tree->GetSelected() == this;
}

void TTreeNode::SetSelected(bool AValue)
{
  TCustomTreeView* tree = GetTreeView();
  if (tree && tree->FMultiSelect) {
    if (AValue)
      tree->Select(const_cast<TTreeNode*>(this), {TShiftStateItem::ssCtrl});
    else
      tree->Deselect(const_cast<TTreeNode*>(this));
    return;
  }
  if (AValue)
    tree->SetSelected(const_cast<TTreeNode*>(this));
  else if (GetSelected())
    tree->SetSelected(nullptr);
}

bool TTreeNode::GetFocused() const
{
  TCustomTreeView* tree = GetTreeView();
  if (!FItemId || !tree || !tree->HandleAllocated())
    return false;
  return (SendMessageW(tree->GetHandle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(FItemId), kComCtrlsFocusedState) &
          kComCtrlsFocusedState) != 0;
}

void TTreeNode::SetFocused(bool AValue)
{
  TCustomTreeView* tree = GetTreeView();
  if (!FItemId || !tree || !tree->HandleAllocated())
    return;
  TVITEMW item{};
  item.mask = TVIF_HANDLE | TVIF_STATE;
  item.hItem = FItemId;
  item.stateMask = kComCtrlsFocusedState;
  item.state = AValue ? kComCtrlsFocusedState : 0;
  SendMessageW(tree->GetHandle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

bool TTreeNode::IsVisible() const
{
  for (const TTreeNode* parent = FParent; parent; parent = parent->FParent)
    if (!parent->GetExpanded())
      return false;
  return true;
}

void TTreeNode::MakeVisible()
{
  TCustomTreeView* tree = GetTreeView();
  if (FItemId && tree->HandleAllocated()) {
    SendMessageW(tree->GetHandle(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(FItemId));
    return;
  }
  for (TTreeNode* parent = FParent; parent; parent = parent->FParent)
    parent->FExpanded = true;
}

TRect TTreeNode::DisplayRect(bool ATextOnly) const
{
  TRect rect{};
  TCustomTreeView* tree = GetTreeView();
  if (!FItemId || !tree || !tree->HandleAllocated())
    return rect;
  // TVM_GETITEMRECT takes the item in the rectangle's first bytes.
  static_assert(sizeof(HTREEITEM) <= sizeof(RECT));
  std::memcpy(&rect, &FItemId, sizeof(HTREEITEM));
  if (!SendMessageW(tree->GetHandle(), TVM_GETITEMRECT, ATextOnly, reinterpret_cast<LPARAM>(&rect)))
    rect = {};
  return rect;
}

// ---------------------------------------------------------------------------
// TTreeNodes

void TTreeNodes::Create(TCustomTreeView* AOwner)
{
  inherited::Create();
  FOwner = AOwner;
}

void TTreeNodes::Destroy()
{
  Clear();
  inherited::Destroy();
}

TTreeNode* TTreeNodes::Add(TTreeNode* ASibling, const String& S)
{
  return AddObject(ASibling, S, nullptr);
}

TTreeNode* TTreeNodes::AddObject(TTreeNode* ASibling, const String& S, void* AData)
{
  TTreeNode* parent = ASibling ? ASibling->FParent : nullptr;
  return InternalAdd(parent, ChildrenOf(parent).size(), S, AData);
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* ASibling, const String& S)
{
  return AddObjectFirst(ASibling, S, nullptr);
}

TTreeNode* TTreeNodes::AddObjectFirst(TTreeNode* ASibling, const String& S, void* AData)
{
  return InternalAdd(ASibling ? ASibling->FParent : nullptr, 0, S, AData);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* AParent, const String& S)
{
  return AddChildObject(AParent, S, nullptr);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* AParent, const String& S, void* AData)
{
  return InternalAdd(AParent, ChildrenOf(AParent).size(), S, AData);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* AParent, const String& S)
{
  return AddChildObjectFirst(AParent, S, nullptr);
}

TTreeNode* TTreeNodes::AddChildObjectFirst(TTreeNode* AParent, const String& S, void* AData)
{
  return InternalAdd(AParent, 0, S, AData);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* ASibling, const String& S)
{
  return InsertObject(ASibling, S, nullptr);
}

// Without a sibling the node becomes the last root.
TTreeNode* TTreeNodes::InsertObject(TTreeNode* ASibling, const String& S, void* AData)
{
  if (!ASibling)
    return InternalAdd(nullptr, FRoots.size(), S, AData);
  return InternalAdd(ASibling->FParent, static_cast<std::size_t>(ASibling->GetIndex()), S, AData);
}

TTreeNode* TTreeNodes::InternalAdd(TTreeNode* AParent, std::size_t APosition, const String& S, void* AData)
{
  std::vector<TTreeNode*>& siblings = ChildrenOf(AParent);
  APosition = std::min(APosition, siblings.size());
  TTreeNode* node = rtl::New<TTreeNode>(this);
  node->FParent = AParent;
  node->FText = S;
  node->FData = AData;
  try {
    siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(APosition), node);
  } catch (...) {
    node->FOwner = nullptr;
    rtl::Free(node);
    throw;
  }
  if (AParent)
    AParent->SetHasChildren(true);
  if (FOwner->HandleAllocated() && (!AParent || AParent->FItemId))
    InsertItem(node, APosition == 0 ? TVI_FIRST : siblings[APosition - 1]->FItemId);
  FOwner->Added(node);
  const TSortType sortType = FOwner->GetSortType();
  if (sortType == TSortType::stText || sortType == TSortType::stBoth)
    SortChildren(AParent, nullptr, 0, false);
  return node;
}

namespace {

// The window's order of two items: their places among the sorted nodes.
int CALLBACK TreeNodesByIndex(LPARAM LParam1, LPARAM LParam2, LPARAM /*AData*/) noexcept
{
  return rtl::GuardCallback(0, [&] {
    const int index1 = reinterpret_cast<TTreeNode*>(LParam1)->GetIndex();
    const int index2 = reinterpret_cast<TTreeNode*>(LParam2)->GetIndex();
    return index1 < index2 ? -1 : (index1 > index2 ? 1 : 0);
  });
}

}  // namespace

void TTreeNodes::SortChildren(TTreeNode* AParent, TTVCompare ACompare, LPARAM AData, bool ARecurse)
{
  std::vector<TTreeNode*>& siblings = ChildrenOf(AParent);
  // A comparison that throws leaves the order as it was.
  std::vector<TTreeNode*> sorted = siblings;
  std::stable_sort(sorted.begin(), sorted.end(), [&](TTreeNode* A, TTreeNode* B) {
    const int order = ACompare ? ACompare(reinterpret_cast<LPARAM>(A), reinterpret_cast<LPARAM>(B), AData)
                               : FOwner->Compare(A, B);
    return order < 0;
  });
  siblings.swap(sorted);
  if (FOwner->HandleAllocated() && (!AParent || AParent->FItemId)) {
    TVSORTCB sort{};
    sort.hParent = AParent ? AParent->FItemId : TVI_ROOT;
    sort.lpfnCompare = &TreeNodesByIndex;
    SendMessageW(FOwner->GetHandle(), TVM_SORTCHILDRENCB, FALSE, reinterpret_cast<LPARAM>(&sort));
  }
  if (!ARecurse)
    return;
  for (TTreeNode* node : siblings)
    if (!node->FChildren.empty())
      SortChildren(node, ACompare, AData, true);
}

void TTreeNodes::InsertItem(TTreeNode* ANode, HTREEITEM AInsertAfter)
{
  TVINSERTSTRUCTW insert{};
  insert.hParent = ANode->FParent ? ANode->FParent->FItemId : TVI_ROOT;
  insert.hInsertAfter = AInsertAfter;
  TVITEMW& item = insert.item;
  item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_STATE;
  item.pszText = const_cast<wchar_t*>(ANode->FText.c_str());
  item.lParam = reinterpret_cast<LPARAM>(ANode);
  item.iImage = I_IMAGECALLBACK;
  item.iSelectedImage = I_IMAGECALLBACK;
  item.cChildren = ANode->FHasChildren ? 1 : 0;
  item.stateMask = TVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(std::max(ANode->FStateIndex, 0));
  const HWND wnd = FOwner->GetHandle();
  ANode->FItemId = reinterpret_cast<HTREEITEM>(SendMessageW(wnd, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  if (!ANode->FItemId)
    throw EOutOfResources(L"Failed to insert a tree node");
  for (TTreeNode* child : ANode->FChildren)
    InsertItem(child, TVI_LAST);
  if (ANode->FExpanded && ANode->FHasChildren) {
    ++FOwner->FManualNotify;
    rtl::Finally manual([this] { --FOwner->FManualNotify; });
    SendMessageW(wnd, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(ANode->FItemId));
  }
}

void TTreeNodes::Delete(TTreeNode* ANode)
{
  rtl::Free(ANode);
}

void TTreeNodes::Clear()
{
  while (!FRoots.empty())
    rtl::Free(FRoots.back());
}

void TTreeNodes::BeginUpdate()
{
  if (FUpdateCount++ == 0 && FOwner->HandleAllocated())
    SendMessageW(FOwner->GetHandle(), WM_SETREDRAW, FALSE, 0);
}

void TTreeNodes::EndUpdate()
{
  if (FUpdateCount <= 0 || --FUpdateCount > 0 || !FOwner->HandleAllocated())
    return;
  SendMessageW(FOwner->GetHandle(), WM_SETREDRAW, TRUE, 0);
  FOwner->Invalidate();
}

int TTreeNodes::GetCount() const
{
  int count = 0;
  ComCtrlsForEachNode(FRoots, [&count](TTreeNode*) { ++count; });
  return count;
}

TTreeNode* TTreeNodes::GetItem(int AIndex) const
{
  TTreeNode* node = AIndex >= 0 ? GetFirstNode() : nullptr;
  for (int i = 0; node && i < AIndex; ++i)
    node = node->GetNext();
  if (!node)
    rtl::ListIndexError(AIndex);
  return node;
}

TTreeNode* TTreeNodes::GetNode(HTREEITEM AItemId) const
{
  if (!AItemId || !FOwner->HandleAllocated())
    return nullptr;
  TVITEMW item{};
  item.mask = TVIF_HANDLE | TVIF_PARAM;
  item.hItem = AItemId;
  if (!SendMessageW(FOwner->GetHandle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
    return nullptr;
  return reinterpret_cast<TTreeNode*>(item.lParam);
}

// ---------------------------------------------------------------------------
// TCustomTreeView

void TCustomTreeView::Create(TComponent* AOwner)
{
  inherited::Create(AOwner);
  FControlStyle = {csCaptureMouse, csDisplayDragImage, csReflector};
  FWidth = 121;
  FHeight = 97;
  SetTabStop(true);
  FParentColor = false;
  FColor = clWindow;
  GetBrush()->SetColor(clWindow);
  FBorderStyle = bsSingle;
  FIndent = -1;
  FShowButtons = true;
  FShowLines = true;
  FShowRoot = true;
  FHideSelection = true;
  FToolTips = true;
  FTreeNodes = rtl::New<TTreeNodes>(this);
  FCanvas = rtl::New<TControlCanvas>();
  FCanvas->SetControl(this);
  FImageChangeLink = rtl::New<TChangeLink>();
  FImageChangeLink->SetOnChange(TNotifyEvent::Bind<&TCustomTreeView::ImageListChange>(this));
  FStateChangeLink = rtl::New<TChangeLink>();
  FStateChangeLink->SetOnChange(TNotifyEvent::Bind<&TCustomTreeView::ImageListChange>(this));
}

// The nodes go (with OnDeletion) while the control is whole; the window's
// notifications meanwhile are ignored.
void TCustomTreeView::Destroy()
{
  Destroying();
  FTreeNodes->Clear();
  inherited::Destroy();
  rtl::FreeAndNil(FStateChangeLink);
  rtl::FreeAndNil(FImageChangeLink);
  rtl::FreeAndNil(FCanvas);
  rtl::FreeAndNil(FTreeNodes);
}

DWORD TCustomTreeView::TreeStyles() const
{
  DWORD style = 0;
  if (FShowButtons)
    style |= TVS_HASBUTTONS;
  if (FShowLines)
    style |= TVS_HASLINES;
  if (FShowRoot)
    style |= TVS_LINESATROOT;
  if (!FHideSelection)
    style |= TVS_SHOWSELALWAYS;
  if (!FReadOnly)
    style |= TVS_EDITLABELS;
  if (FRowSelect)
    style |= TVS_FULLROWSELECT;
  if (FHotTrack)
    style |= TVS_TRACKSELECT;
  if (!FToolTips)
    style |= TVS_NOTOOLTIPS;
  if (FAutoExpand)
    style |= TVS_SINGLEEXPAND;
  return style;
}

void TCustomTreeView::CreateParams(TCreateParams& AParams)
{
  ComCtrlsInitTreeViewClass();
  inherited::CreateParams(AParams);
  CreateSubClass(AParams, WC_TREEVIEWW);
  AParams.Style |= TreeStyles();
  if (FBorderStyle == bsSingle)
    AParams.ExStyle |= WS_EX_CLIENTEDGE;
  AParams.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

// The window is filled from the nodes, expanded as they were, with the
// selection and the top item of the window before, and none of it reported.
void TCustomTreeView::CreateWnd()
{
  inherited::CreateWnd();
  ApplyImageLists();
  if (FIndent >= 0)
    Perform(TVM_SETINDENT, static_cast<WPARAM>(FIndent), 0);
  FFilling = true;
  rtl::Finally filling([this] { FFilling = false; });
  for (TTreeNode* root : FTreeNodes->FRoots)
    FTreeNodes->InsertItem(root, TVI_LAST);
  if (FSaveSelected && FSaveSelected->FItemId)
    Perform(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(FSaveSelected->FItemId));
  if (FSaveTopItem && FSaveTopItem->FItemId)
    Perform(TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(FSaveTopItem->FItemId));
  FSaveSelected = nullptr;
  for (const TTreeNode* ANode : FSelections)
    ApplySelectedState(ANode);
  FSaveTopItem = nullptr;
}

void TCustomTreeView::DestroyWnd()
{
  FSaveSelected = GetSelected();
  FSaveTopItem = GetTopItem();
  ComCtrlsForEachNode(FTreeNodes->FRoots, [](TTreeNode* ANode) { ANode->FExpanded = ANode->GetExpanded(); });
  inherited::DestroyWnd();
  ComCtrlsForEachNode(FTreeNodes->FRoots, [](TTreeNode* ANode) { ANode->FItemId = nullptr; });
}

void TCustomTreeView::Notification(TComponent* AComponent, rtl::TOperation AOperation)
{
  inherited::Notification(AComponent, AOperation);
  if (AOperation != opRemove)
    return;
  if (AComponent == FImages)
    SetImages(nullptr);
  if (AComponent == FStateImages)
    SetStateImages(nullptr);
}

TTreeNode* TCustomTreeView::GetSelected()
{
  if (!HandleAllocated())
    return FSaveSelected;
  return FTreeNodes->GetNode(reinterpret_cast<HTREEITEM>(Perform(TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TCustomTreeView::SetSelected(TTreeNode* AValue)
{
  if (!HandleAllocated()) {
    FSaveSelected = AValue;
    return;
  }
  Perform(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(AValue ? AValue->FItemId : nullptr));
}

void TCustomTreeView::SetMultiSelect(bool AValue)
{
  if (FMultiSelect == AValue)
    return;
  FMultiSelect = AValue;
  if (!FMultiSelect)
    ClearSelection(true);
  else if (TTreeNode* ACaret = GetSelected())
    FSelections.assign(1, ACaret);
}

bool TCustomTreeView::IsInSelection(const TTreeNode* ANode) const
{
  return std::find(FSelections.begin(), FSelections.end(), ANode) != FSelections.end();
}

void TCustomTreeView::ApplySelectedState(const TTreeNode* ANode) const
{
  if (!ANode->FItemId || !HandleAllocated())
    return;
  TVITEMW item{};
  item.mask = TVIF_HANDLE | TVIF_STATE;
  item.hItem = ANode->FItemId;
  item.stateMask = TVIS_SELECTED;
  item.state = IsInSelection(ANode) ? TVIS_SELECTED : 0;
  SendMessageW(const_cast<TCustomTreeView*>(this)->GetHandle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void TCustomTreeView::ForgetSelection(const TTreeNode* ANode)
{
  std::erase(FSelections, ANode);
  if (FSaveSelected == ANode)
    FSaveSelected = nullptr;
  if (FSaveTopItem == ANode)
    FSaveTopItem = nullptr;
}

int TCustomTreeView::GetSelectionCount()
{
  if (FMultiSelect)
    return static_cast<int>(FSelections.size());
  return GetSelected() ? 1 : 0;
}

TTreeNode* TCustomTreeView::GetSelection(int AIndex)
{
  if (!FMultiSelect) {
    TTreeNode* ACaret = AIndex == 0 ? GetSelected() : nullptr;
    if (!ACaret)
      rtl::ListIndexError(AIndex);
    return ACaret;
  }
  if (AIndex < 0 || AIndex >= static_cast<int>(FSelections.size()))
    rtl::ListIndexError(AIndex);
  return FSelections[static_cast<std::size_t>(AIndex)];
}

void TCustomTreeView::Select(TTreeNode* ANode, TShiftState AShift)
{
  if (!ANode)
    return;
  if (!FMultiSelect || !AShift.Contains(TShiftStateItem::ssCtrl))
    ClearSelection(false);
  if (FMultiSelect && !IsInSelection(ANode))
    FSelections.push_back(ANode);
  {
    FSelecting = true;
    rtl::Finally AEnd([this] { FSelecting = false; });
    SetSelected(ANode);
  }
  // Moving the caret took the selected state from the previous one.
  for (const TTreeNode* ASelected : FSelections)
    ApplySelectedState(ASelected);
}

void TCustomTreeView::Select(const std::vector<TTreeNode*>& ANodes)
{
  ClearSelection(false);
  for (TTreeNode* ANode : ANodes)
    Select(ANode, {TShiftStateItem::ssCtrl});
}

void TCustomTreeView::Deselect(TTreeNode* ANode)
{
  if (!ANode)
    return;
  if (!FMultiSelect) {
    if (GetSelected() == ANode)
      SetSelected(nullptr);
    return;
  }
  std::erase(FSelections, ANode);
  ApplySelectedState(ANode);
}

void TCustomTreeView::Subselect(TTreeNode* ANode, bool /*AValidate*/)
{
  if (!ANode || !FMultiSelect || IsInSelection(ANode))
    return;
  FSelections.push_back(ANode);
  ApplySelectedState(ANode);
}

void TCustomTreeView::ClearSelection(bool AKeepPrimary)
{
  TTreeNode* ACaret = GetSelected();
  std::vector<TTreeNode*> AOld = std::move(FSelections);
  FSelections.clear();
  if (AKeepPrimary && ACaret && FMultiSelect)
    FSelections.push_back(ACaret);
  for (const TTreeNode* ANode : AOld)
    ApplySelectedState(ANode);
  if (!AKeepPrimary && ACaret) {
    FSelecting = true;
    rtl::Finally AEnd([this] { FSelecting = false; });
    SetSelected(nullptr);
  }
}

TTreeNode* TCustomTreeView::GetTopItem()
{
  if (!HandleAllocated())
    return FSaveTopItem;
  return FTreeNodes->GetNode(reinterpret_cast<HTREEITEM>(Perform(TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0)));
}

void TCustomTreeView::SetTopItem(TTreeNode* AValue)
{
  if (!HandleAllocated()) {
    FSaveTopItem = AValue;
    return;
  }
  if (AValue && AValue->FItemId)
    Perform(TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(AValue->FItemId));
}

TTreeNode* TCustomTreeView::GetNodeAt(int X, int Y)
{
  if (!HandleAllocated())
    return nullptr;
  TVHITTESTINFO hit{};
  hit.pt = {X, Y};
  return FTreeNodes->GetNode(reinterpret_cast<HTREEITEM>(Perform(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))));
}

THitTests TCustomTreeView::GetHitTestInfoAt(int X, int Y)
{
  struct TComCtrlsHitFlag {
    UINT Flag;
    THitTest Test;
  };
  static constexpr std::array<TComCtrlsHitFlag, 10> kFlags{{{TVHT_ABOVE, htAbove},
                                                           {TVHT_BELOW, htBelow},
                                                           {TVHT_NOWHERE, htNowhere},
                                                           {TVHT_ONITEMBUTTON, htOnButton},
                                                           {TVHT_ONITEMICON, htOnIcon},
                                                           {TVHT_ONITEMINDENT, htOnIndent},
                                                           {TVHT_ONITEMLABEL, htOnLabel},
                                                           {TVHT_ONITEMRIGHT, htOnRight},
                                                           {TVHT_ONITEMSTATEICON, htOnStateIcon},
                                                           {TVHT_TOLEFT, htToLeft}}};
  THitTests result;
  if (!HandleAllocated())
    return result;
  TVHITTESTINFO hit{};
  hit.pt = {X, Y};
  Perform(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  for (const TComCtrlsHitFlag& flag : kFlags)
    if ((hit.flags & flag.Flag) != 0)
      result.Include(flag.Test);
  if ((hit.flags & TVHT_TORIGHT) != 0)
    result.Include(htToRight);
  if ((hit.flags & TVHT_ONITEM) != 0)
    result.Include(htOnItem);
  return result;
}

void TCustomTreeView::FullExpand()
{
  const std::vector<TTreeNode*> roots = FTreeNodes->FRoots;
  for (TTreeNode* root : roots)
    root->Expand(true);
}

void TCustomTreeView::FullCollapse()
{
  const std::vector<TTreeNode*> roots = FTreeNodes->FRoots;
  for (TTreeNode* root : roots)
    root->Collapse(true);
}

void TCustomTreeView::AlphaSort(bool ARecurse)
{
  CustomSort(nullptr, 0, ARecurse);
}

void TCustomTreeView::CustomSort(TTVCompare ASortProc, LPARAM AData, bool ARecurse)
{
  FTreeNodes->SortChildren(nullptr, ASortProc, AData, ARecurse);
}

void TCustomTreeView::SetSortType(TSortType AValue)
{
  if (FSortType == AValue)
    return;
  FSortType = AValue;
  if (FSortType == TSortType::stText || FSortType == TSortType::stBoth ||
      (FSortType == TSortType::stData && FOnCompare))
    AlphaSort(true);
}

bool TCustomTreeView::IsEditing()
{
  return HandleAllocated() && SendMessageW(GetHandle(), TVM_GETEDITCONTROL, 0, 0) != 0;
}

int TCustomTreeView::Compare(TTreeNode* ANode1, TTreeNode* ANode2)
{
  if (FOnCompare) {
    int result = 0;
    FOnCompare(this, ANode1, ANode2, 0, result);
    return result;
  }
  if (FSortType == TSortType::stData) {
    const auto data1 = reinterpret_cast<std::uintptr_t>(ANode1->GetData());
    const auto data2 = reinterpret_cast<std::uintptr_t>(ANode2->GetData());
    return data1 < data2 ? -1 : (data1 > data2 ? 1 : 0);
  }
  return rtl::AnsiCompareText(ANode1->GetText(), ANode2->GetText());
}

void TCustomTreeView::Added(TTreeNode* ANode)
{
  if (FOnAddition)
    FOnAddition(this, ANode);
}

bool TCustomTreeView::CanEdit(TTreeNode* ANode)
{
  bool allow = !FReadOnly;
  if (allow && FOnEditing)
    FOnEditing(this, ANode, allow);
  return allow;
}

void TCustomTreeView::Edit(TTreeNode* ANode, String& S)
{
  if (FOnEdited)
    FOnEdited(this, ANode, S);
}

void TCustomTreeView::CancelEdit(TTreeNode* ANode)
{
  if (FOnCancelEdit)
    FOnCancelEdit(this, ANode);
}

void TCustomTreeView::SetImageList(TCustomImageList*& AField, TChangeLink* ALink, TCustomImageList* AValue,
                                   TCustomImageList* AOther)
{
  if (AField == AValue)
    return;
  if (AField) {
    AField->UnRegisterChanges(ALink);
    if (AField != AOther)
      AField->RemoveFreeNotification(this);
  }
  AField = AValue;
  if (AField) {
    AField->RegisterChanges(ALink);
    AField->FreeNotification(this);
  }
  ApplyImageLists();
}

void TCustomTreeView::SetImages(TCustomImageList* AValue)
{
  SetImageList(FImages, FImageChangeLink, AValue, FStateImages);
}

void TCustomTreeView::SetStateImages(TCustomImageList* AValue)
{
  SetImageList(FStateImages, FStateChangeLink, AValue, FImages);
}

void TCustomTreeView::ApplyImageLists()
{
  if (!HandleAllocated())
    return;
  Perform(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(FImages ? FImages->GetHandle() : nullptr));
  Perform(TVM_SETIMAGELIST, TVSIL_STATE,
          reinterpret_cast<LPARAM>(FStateImages ? FStateImages->GetHandle() : nullptr));
}

// The native list may be a new one after a change of the image list.
void TCustomTreeView::ImageListChange(TObject* /*ASender*/)
{
  ApplyImageLists();
  if (HandleAllocated())
    Invalidate();
}

// A style change makes a new window, which the nodes fill again.
void TCustomTreeView::SetTreeStyle(bool& AField, bool AValue)
{
  if (AField == AValue)
    return;
  AField = AValue;
  RecreateWnd();
}

void TCustomTreeView::SetShowButtons(bool AValue)
{
  SetTreeStyle(FShowButtons, AValue);
}

void TCustomTreeView::SetShowLines(bool AValue)
{
  SetTreeStyle(FShowLines, AValue);
}

void TCustomTreeView::SetShowRoot(bool AValue)
{
  SetTreeStyle(FShowRoot, AValue);
}

void TCustomTreeView::SetHideSelection(bool AValue)
{
  SetTreeStyle(FHideSelection, AValue);
}

void TCustomTreeView::SetReadOnly(bool AValue)
{
  SetTreeStyle(FReadOnly, AValue);
}

void TCustomTreeView::SetRowSelect(bool AValue)
{
  SetTreeStyle(FRowSelect, AValue);
}

void TCustomTreeView::SetHotTrack(bool AValue)
{
  SetTreeStyle(FHotTrack, AValue);
}

void TCustomTreeView::SetToolTips(bool AValue)
{
  SetTreeStyle(FToolTips, AValue);
}

void TCustomTreeView::SetAutoExpand(bool AValue)
{
  SetTreeStyle(FAutoExpand, AValue);
}

void TCustomTreeView::SetBorderStyle(TBorderStyle AValue)
{
  if (FBorderStyle == AValue)
    return;
  FBorderStyle = AValue;
  RecreateWnd();
}

int TCustomTreeView::GetIndent()
{
  if (HandleAllocated())
    return static_cast<int>(Perform(TVM_GETINDENT, 0, 0));
  return FIndent >= 0 ? FIndent : 19;
}

void TCustomTreeView::SetIndent(int AValue)
{
  FIndent = std::max(AValue, 0);
  if (HandleAllocated())
    Perform(TVM_SETINDENT, static_cast<WPARAM>(FIndent), 0);
}

bool TCustomTreeView::CanChange(TTreeNode* ANode)
{
  bool allow = true;
  if (FOnChanging)
    FOnChanging(this, ANode, allow);
  return allow;
}

void TCustomTreeView::Change(TTreeNode* ANode)
{
  // The user moved the caret: it is the selection now, or joins it with
  // Ctrl held.
  if (FMultiSelect && !FSelecting && ANode) {
    if (GetKeyState(VK_CONTROL) >= 0)
      ClearSelection(false);
    if (!IsInSelection(ANode))
      FSelections.push_back(ANode);
    for (const TTreeNode* ASelected : FSelections)
      ApplySelectedState(ASelected);
  }
  if (FOnChange)
    FOnChange(this, ANode);
}

bool TCustomTreeView::CanExpand(TTreeNode* ANode)
{
  bool allow = true;
  if (FOnExpanding)
    FOnExpanding(this, ANode, allow);
  return allow;
}

void TCustomTreeView::Expand(TTreeNode* ANode)
{
  if (FOnExpanded)
    FOnExpanded(this, ANode);
}

bool TCustomTreeView::CanCollapse(TTreeNode* ANode)
{
  bool allow = true;
  if (FOnCollapsing)
    FOnCollapsing(this, ANode, allow);
  return allow;
}

void TCustomTreeView::Collapse(TTreeNode* ANode)
{
  if (FOnCollapsed)
    FOnCollapsed(this, ANode);
}

void TCustomTreeView::Delete(TTreeNode* ANode)
{
  if (FOnDeletion)
    FOnDeletion(this, ANode);
}

void TCustomTreeView::GetImageIndex(TTreeNode* ANode)
{
  if (FOnGetImageIndex)
    FOnGetImageIndex(this, ANode);
}

void TCustomTreeView::GetSelectedIndex(TTreeNode* ANode)
{
  if (FOnGetSelectedIndex)
    FOnGetSelectedIndex(this, ANode);
}

bool TCustomTreeView::CustomDraw(const TRect& ARect)
{
  bool defaultDraw = true;
  if (FOnCustomDraw)
    FOnCustomDraw(this, ARect, defaultDraw);
  return defaultDraw;
}

bool TCustomTreeView::CustomDrawItem(TTreeNode* ANode, TCustomDrawState AState)
{
  bool defaultDraw = true;
  if (FOnCustomDrawItem)
    FOnCustomDrawItem(this, ANode, AState, defaultDraw);
  return defaultDraw;
}

bool TCustomTreeView::IgnoresNotifications() const
{
  return FFilling || GetComponentState().Contains(csDestroying) ||
         FControlState.Contains(csDestroyingHandle);
}

void TCustomTreeView::CNNotify(TWMNotify& AMessage)
{
  NMHDR* header = AMessage.NMHdr;
  if (IgnoresNotifications())
    return;
  auto& tree = *reinterpret_cast<NMTREEVIEWW*>(header);
  switch (header->code) {
    case NM_CUSTOMDRAW:
      AMessage.Result = CustomDrawNotify(*reinterpret_cast<NMTVCUSTOMDRAW*>(header));
      break;
    case TVN_GETDISPINFOW:
      GetDispInfo(*reinterpret_cast<NMTVDISPINFOW*>(header));
      break;
    case TVN_SELCHANGINGW:
      AMessage.Result = !CanChange(FTreeNodes->GetNode(tree.itemNew.hItem));
      break;
    case TVN_SELCHANGEDW:
      Change(FTreeNodes->GetNode(tree.itemNew.hItem));
      break;
    case TVN_ITEMEXPANDINGW:
      if (FManualNotify == 0) {
        TTreeNode* node = FTreeNodes->GetNode(tree.itemNew.hItem);
        AMessage.Result = !(tree.action == TVE_EXPAND ? CanExpand(node) : CanCollapse(node));
      }
      break;
    case TVN_ITEMEXPANDEDW:
      if (FManualNotify == 0) {
        TTreeNode* node = FTreeNodes->GetNode(tree.itemNew.hItem);
        if (tree.action == TVE_EXPAND)
          Expand(node);
        else
          Collapse(node);
      }
      break;
    case TVN_BEGINLABELEDITW: {
      TTreeNode* node = FTreeNodes->GetNode(reinterpret_cast<NMTVDISPINFOW*>(header)->item.hItem);
      AMessage.Result = !node || !CanEdit(node);
      break;
    }
    // The edited label, as OnEdited leaves it, becomes the node's text; a
    // cancelled edit (no text) changes nothing.
    case TVN_ENDLABELEDITW: {
      const TVITEMW& item = reinterpret_cast<NMTVDISPINFOW*>(header)->item;
      TTreeNode* node = FTreeNodes->GetNode(item.hItem);
      AMessage.Result = FALSE;
      if (!node)
        break;
      if (!item.pszText) {
        CancelEdit(node);
        break;
      }
      String text = item.pszText;
      Edit(node, text);
      node->SetText(text);
      break;
    }
    default:
      break;
  }
}

void TCustomTreeView::GetDispInfo(NMTVDISPINFOW& AInfo)
{
  TVITEMW& item = AInfo.item;
  TTreeNode* node = FTreeNodes->GetNode(item.hItem);
  if (!node)
    return;
  if ((item.mask & TVIF_IMAGE) != 0) {
    GetImageIndex(node);
    item.iImage = node->FImageIndex;
  }
  if ((item.mask & TVIF_SELECTEDIMAGE) != 0) {
    GetSelectedIndex(node);
    item.iSelectedImage = node->FSelectedIndex;
  }
}

// The canvas draws on the window's DC for the events; an item drawn by
// default takes the canvas's font and colours, which start as the ones the
// window chose (the highlight for the selection).
LRESULT TCustomTreeView::CustomDrawNotify(NMTVCUSTOMDRAW& ADraw)
{
  NMCUSTOMDRAW& draw = ADraw.nmcd;
  if (!IsCustomDrawn())
    return CDRF_DODEFAULT;
  if (draw.dwDrawStage == CDDS_PREPAINT) {
    if (FOnCustomDraw) {
      FCanvas->SetHandle(draw.hdc);
      rtl::Finally release([this] { FCanvas->SetHandle(nullptr); });
      FCanvas->SetFont(GetFont());
      FCanvas->SetBrush(GetBrush());
      if (!CustomDraw(draw.rc))
        return CDRF_SKIPDEFAULT;
    }
    return FOnCustomDrawItem ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
  }
  if (draw.dwDrawStage != CDDS_ITEMPREPAINT)
    return CDRF_DODEFAULT;
  TTreeNode* node = FTreeNodes->GetNode(reinterpret_cast<HTREEITEM>(draw.dwItemSpec));
  if (!node)
    return CDRF_DODEFAULT;
  HFONT font = nullptr;
  {
    FCanvas->SetHandle(draw.hdc);
    rtl::Finally release([this] { FCanvas->SetHandle(nullptr); });
    FCanvas->SetFont(GetFont());
    FCanvas->SetBrush(GetBrush());
    if (ADraw.clrText != CLR_DEFAULT)
      FCanvas->GetFont()->SetColor(static_cast<TColor>(ADraw.clrText));
    if (ADraw.clrTextBk != CLR_DEFAULT)
      FCanvas->GetBrush()->SetColor(static_cast<TColor>(ADraw.clrTextBk));
    const TCustomDrawState state = TCustomDrawState::FromOrd(draw.uItemState & 0x1FFF);
    if (!CustomDrawItem(node, state))
      return CDRF_SKIPDEFAULT;
    ADraw.clrText = static_cast<COLORREF>(ColorToRGB(FCanvas->GetFont()->GetColor()));
    ADraw.clrTextBk = static_cast<COLORREF>(ColorToRGB(FCanvas->GetBrush()->GetColor()));
    font = FCanvas->GetFont()->GetHandle();
  }
  // Left selected for the window, which puts its own font back after the
  // item (CDRF_NEWFONT); the canvas's font outlives the drawing.
  SelectObject(draw.hdc, font);
  return CDRF_NEWFONT;
}

// ---------------------------------------------------------------------------
// Rich edit streaming

namespace {

// What EM_STREAMIN reads from or EM_STREAMOUT writes into.
struct ComCtrlsStreamBuffer {
  const std::string* Source;
  std::size_t Position;
  std::string* Target;
};

// The rich edit's stream callbacks answer 0 for success; a failure (1)
// ends the transfer with nothing more done.
DWORD CALLBACK ComCtrlsStreamIn(DWORD_PTR ACookie, LPBYTE ABuffer, LONG ACount, LONG* ADone) noexcept
{
  *ADone = 0;
  return rtl::GuardCallback(DWORD{1}, [&] {
    auto& buffer = *reinterpret_cast<ComCtrlsStreamBuffer*>(ACookie);
    const std::size_t count =
        std::min(static_cast<std::size_t>(std::max<LONG>(ACount, 0)), buffer.Source->size() - buffer.Position);
    std::memcpy(ABuffer, buffer.Source->data() + buffer.Position, count);
    buffer.Position += count;
    *ADone = static_cast<LONG>(count);
    return DWORD{0};
  });
}

DWORD CALLBACK ComCtrlsStreamOut(DWORD_PTR ACookie, LPBYTE ABuffer, LONG ACount, LONG* ADone) noexcept
{
  *ADone = 0;
  return rtl::GuardCallback(DWORD{1}, [&] {
    auto& buffer = *reinterpret_cast<ComCtrlsStreamBuffer*>(ACookie);
    buffer.Target->append(reinterpret_cast<const char*>(ABuffer), static_cast<std::size_t>(std::max<LONG>(ACount, 0)));
    *ADone = ACount;
    return DWORD{0};
  });
}

// The window's whole content replaced by ABytes in AFormat; the error code
// the window reports (0 for none).
DWORD ComCtrlsStreamInto(HWND AWnd, UINT AFormat, const std::string& ABytes)
{
  ComCtrlsStreamBuffer buffer{&ABytes, 0, nullptr};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&buffer), 0, &ComCtrlsStreamIn};
  SendMessageW(AWnd, EM_STREAMIN, AFormat, reinterpret_cast<LPARAM>(&stream));
  return stream.dwError;
}

std::string ComCtrlsStreamFrom(HWND AWnd, UINT AFormat)
{
  std::string bytes;
  ComCtrlsStreamBuffer buffer{nullptr, 0, &bytes};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&buffer), 0, &ComCtrlsStreamOut};
  SendMessageW(AWnd, EM_STREAMOUT, AFormat, reinterpret_cast<LPARAM>(&stream));
  if (stream.dwError != 0)
    throw EOutOfResources(L"The rich edit could not write its text");
  return bytes;
}

// Whether the rich edit library lays out ranges at all: a one-character text
// in an inch square must fit.
bool ComCtrlsFormatsRanges()
{
  static const bool formats = [] {
    HWND wnd = CreateWindowExW(0, TCustomRichEdit::RichEditClassName(), L"x", WS_POPUP | ES_MULTILINE, 0, 0, 10, 10,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!wnd)
      return true;
    const TScreenDC screen;
    FORMATRANGE range{};
    range.hdc = screen.Get();
    range.hdcTarget = screen.Get();
    range.rc = {0, 0, 1440, 1440};
    range.rcPage = range.rc;
    range.chrg = {0, -1};
    const LRESULT next = SendMessageW(wnd, EM_FORMATRANGE, 0, reinterpret_cast<LPARAM>(&range));
    SendMessageW(wnd, EM_FORMATRANGE, 0, 0);
    DestroyWindow(wnd);
    return next > 0;
  }();
  return formats;
}

bool ComCtrlsIsWordChar(wchar_t AChar)
{
  return AChar != L' ' && AChar != L'\t' && AChar != L'\r' && AChar != L'\n';
}

// AFit of the ACount characters of AText fit in lines AWidth wide, cut
// anywhere; lines break whole, so the answer moves to where the line after
// the last fitting one starts: past a paragraph mark that ends a line, or
// back to the start of a word that wraps whole (the spaces after a word
// count to it, as the drawing measures them). A word wider than a line
// breaks where it must.
int ComCtrlsLineStart(HDC ADC, const wchar_t* AText, int ACount, int AFit, int AWidth)
{
  if (AFit <= 0 || AFit >= ACount)
    return AFit;
  if (AText[AFit] == L'\r')
    return AFit + 1;
  int start = AFit;
  while (start > 0 && ComCtrlsIsWordChar(AText[start - 1]))
    --start;
  if (start == 0 || start == AFit)
    return AFit;
  int finish = AFit;
  while (finish < ACount && ComCtrlsIsWordChar(AText[finish]))
    ++finish;
  SIZE word{};
  GetTextExtentPoint32W(ADC, AText + start, finish - start, &word);
  return word.cx > AWidth ? AFit : start;
}

bool ComCtrlsIsRichText(const String& AText)
{
  return AText.starts_with(L"{\\rtf");
}

}  // namespace

// ---------------------------------------------------------------------------
// TTextAttributes

namespace {

CHARFORMAT2W ComCtrlsGetFormat(TCustomRichEdit* ARichEdit)
{
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  SendMessageW(ARichEdit->GetHandle(), EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  return format;
}

// The members of AFormat that its mask names.
void ComCtrlsSetFormat(TCustomRichEdit* ARichEdit, CHARFORMAT2W& AFormat)
{
  AFormat.cbSize = sizeof(AFormat);
  SendMessageW(ARichEdit->GetHandle(), EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&AFormat));
}

}  // namespace

void TTextAttributes::Assign(rtl::TPersistent* ASource)
{
  if (!rtl::Is<TFont>(ASource)) {
    inherited::Assign(ASource);
    return;
  }
  auto* font = static_cast<TFont*>(ASource);
  CHARFORMAT2W format{};
  format.dwMask = CFM_FACE | CFM_SIZE | CFM_CHARSET | CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE |
                  CFM_STRIKEOUT;
  lstrcpynW(format.szFaceName, font->GetName().c_str(), LF_FACESIZE);
  format.yHeight = font->GetSize() * 20;
  format.bCharSet = font->GetCharset();
  format.crTextColor = static_cast<COLORREF>(ColorToRGB(font->GetColor()));
  const TFontStyles style = font->GetStyle();
  format.dwEffects = (style.Contains(fsBold) ? CFE_BOLD : 0) | (style.Contains(fsItalic) ? CFE_ITALIC : 0) |
                     (style.Contains(fsUnderline) ? CFE_UNDERLINE : 0) |
                     (style.Contains(fsStrikeOut) ? CFE_STRIKEOUT : 0);
  ComCtrlsSetFormat(FRichEdit, format);
}

String TTextAttributes::GetName()
{
  return ComCtrlsGetFormat(FRichEdit).szFaceName;
}

void TTextAttributes::SetName(const String& AValue)
{
  CHARFORMAT2W format{};
  format.dwMask = CFM_FACE;
  lstrcpynW(format.szFaceName, AValue.c_str(), LF_FACESIZE);
  ComCtrlsSetFormat(FRichEdit, format);
}

int TTextAttributes::GetHeight()
{
  return -MulDiv(GetSize(), ComCtrlsScreenPixelsPerInch(), 72);
}

void TTextAttributes::SetHeight(int AValue)
{
  SetSize(MulDiv(std::abs(AValue), 72, ComCtrlsScreenPixelsPerInch()));
}

int TTextAttributes::GetSize()
{
  return ComCtrlsGetFormat(FRichEdit).yHeight / 20;
}

void TTextAttributes::SetSize(int AValue)
{
  CHARFORMAT2W format{};
  format.dwMask = CFM_SIZE;
  format.yHeight = AValue * 20;
  ComCtrlsSetFormat(FRichEdit, format);
}

TFontStyles TTextAttributes::GetStyle()
{
  const DWORD effects = ComCtrlsGetFormat(FRichEdit).dwEffects;
  TFontStyles result;
  if ((effects & CFE_BOLD) != 0)
    result.Include(fsBold);
  if ((effects & CFE_ITALIC) != 0)
    result.Include(fsItalic);
  if ((effects & CFE_UNDERLINE) != 0)
    result.Include(fsUnderline);
  if ((effects & CFE_STRIKEOUT) != 0)
    result.Include(fsStrikeOut);
  return result;
}

void TTextAttributes::SetStyle(TFontStyles AValue)
{
  CHARFORMAT2W format{};
  format.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
  format.dwEffects = (AValue.Contains(fsBold) ? CFE_BOLD : 0) | (AValue.Contains(fsItalic) ? CFE_ITALIC : 0) |
                     (AValue.Contains(fsUnderline) ? CFE_UNDERLINE : 0) |
                     (AValue.Contains(fsStrikeOut) ? CFE_STRIKEOUT : 0);
  ComCtrlsSetFormat(FRichEdit, format);
}

// An automatic colour is the window text colour.
TColor TTextAttributes::GetColor()
{
  const CHARFORMAT2W format = ComCtrlsGetFormat(FRichEdit);
  return (format.dwEffects & CFE_AUTOCOLOR) != 0 ? clWindowText : static_cast<TColor>(format.crTextColor);
}

void TTextAttributes::SetColor(TColor AValue)
{
  CHARFORMAT2W format{};
  format.dwMask = CFM_COLOR;
  if (AValue == clWindowText)
    format.dwEffects = CFE_AUTOCOLOR;
  else
    format.crTextColor = static_cast<COLORREF>(ColorToRGB(AValue));
  ComCtrlsSetFormat(FRichEdit, format);
}

TFontCharset TTextAttributes::GetCharset()
{
  return ComCtrlsGetFormat(FRichEdit).bCharSet;
}

void TTextAttributes::SetCharset(TFontCharset AValue)
{
  CHARFORMAT2W format{};
  format.dwMask = CFM_CHARSET;
  format.bCharSet = AValue;
  ComCtrlsSetFormat(FRichEdit, format);
}

// ---------------------------------------------------------------------------
// TRichEditStrings

HWND TRichEditStrings::Window() const
{
  return FRichEdit->GetHandle();
}

int TRichEditStrings::GetCount() const
{
  if (!FRichEdit->HandleAllocated() && FRichEdit->GetTextLen() == 0)
    return 0;
  const HWND wnd = Window();
  int count = static_cast<int>(SendMessageW(wnd, EM_GETLINECOUNT, 0, 0));
  const auto last = SendMessageW(wnd, EM_LINEINDEX, static_cast<WPARAM>(count - 1), 0);
  if (SendMessageW(wnd, EM_LINELENGTH, static_cast<WPARAM>(last), 0) == 0)
    --count;
  return count;
}

// EM_GETTEXTRANGE takes the line whatever its length, without its
// paragraph mark.
String TRichEditStrings::Get(int AIndex)
{
  const HWND wnd = Window();
  const auto start = AIndex < 0 ? -1 : SendMessageW(wnd, EM_LINEINDEX, static_cast<WPARAM>(AIndex), 0);
  if (start < 0)
    return {};
  const auto length = SendMessageW(wnd, EM_LINELENGTH, static_cast<WPARAM>(start), 0);
  if (length <= 0)
    return {};
  String line(static_cast<std::size_t>(length) + 1, L'\0');
  TEXTRANGEW range{{static_cast<LONG>(start), static_cast<LONG>(start + length)}, line.data()};
  const auto copied = SendMessageW(wnd, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
  line.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, length)));
  return line;
}

void TRichEditStrings::Put(int AIndex, const String& S)
{
  const HWND wnd = Window();
  const auto start = AIndex < 0 ? -1 : SendMessageW(wnd, EM_LINEINDEX, static_cast<WPARAM>(AIndex), 0);
  if (start < 0)
    return;
  const auto length = SendMessageW(wnd, EM_LINELENGTH, static_cast<WPARAM>(start), 0);
  SendMessageW(wnd, EM_SETSEL, static_cast<WPARAM>(start), start + length);
  SendMessageW(wnd, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(S.c_str()));
}

// The memo's rule with the window's paragraph mark: where line AIndex
// starts, S and a CR go in before it; past the last line, a CR and S go
// at the end of the line before, unless that line is missing or empty.
void TRichEditStrings::Insert(int AIndex, const String& S)
{
  if (AIndex < 0)
    return;
  const HWND wnd = Window();
  auto position = SendMessageW(wnd, EM_LINEINDEX, static_cast<WPARAM>(AIndex), 0);
  String text;
  if (position >= 0) {
    text = S + L"\r";
  } else {
    position = AIndex > 0 ? SendMessageW(wnd, EM_LINEINDEX, static_cast<WPARAM>(AIndex - 1), 0) : -1;
    if (position < 0)
      return;
    const auto length = SendMessageW(wnd, EM_LINELENGTH, static_cast<WPARAM>(position), 0);
    if (length == 0)
      return;
    position += length;
    text = L"\r" + S;
  }
  SendMessageW(wnd, EM_SETSEL, static_cast<WPARAM>(position), position);
  SendMessageW(wnd, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TRichEditStrings::Delete(int AIndex)
{
  const HWND wnd = Window();
  const auto start = AIndex < 0 ? -1 : SendMessageW(wnd, EM_LINEINDEX, static_cast<WPARAM>(AIndex), 0);
  if (start < 0)
    return;
  auto finish = SendMessageW(wnd, EM_LINEINDEX, static_cast<WPARAM>(AIndex + 1), 0);
  if (finish < 0)
    finish = start + SendMessageW(wnd, EM_LINELENGTH, static_cast<WPARAM>(start), 0);
  SendMessageW(wnd, EM_SETSEL, static_cast<WPARAM>(start), finish);
  SendMessageW(wnd, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(L""));
}

void TRichEditStrings::Clear()
{
  FRichEdit->LoadText(String());
}

// Every paragraph break as CR LF.
String TRichEditStrings::GetTextStr()
{
  const HWND wnd = Window();
  GETTEXTLENGTHEX measure{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, 1200};
  const auto length = SendMessageW(wnd, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&measure), 0);
  if (length <= 0)
    return {};
  String text(static_cast<std::size_t>(length) + 1, L'\0');
  GETTEXTEX request{static_cast<DWORD>(text.size() * sizeof(wchar_t)), GT_USECRLF, 1200, nullptr, nullptr};
  const auto copied = SendMessageW(wnd, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&request),
                                   reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, length)));
  return text;
}

void TRichEditStrings::SetTextStr(const String& AText)
{
  FRichEdit->LoadText(AText);
}

void TRichEditStrings::SaveToStream(rtl::TStream* AStream, rtl::TEncoding* AEncoding)
{
  if (FRichEdit->GetPlainText()) {
    inherited::SaveToStream(AStream, AEncoding);
    return;
  }
  const std::string rich = FRichEdit->GetRichText();
  AStream->WriteBuffer(rich.data(), static_cast<int>(rich.size()));
}

void TRichEditStrings::SetUpdateState(bool AUpdating)
{
  if (!FRichEdit->HandleAllocated())
    return;
  SendMessageW(FRichEdit->GetHandle(), WM_SETREDRAW, !AUpdating, 0);
  if (!AUpdating)
    FRichEdit->Refresh();
}

// ---------------------------------------------------------------------------
// TCustomRichEdit

// The library stays loaded for the process: windows of its class may live
// until the end.
const wchar_t* TCustomRichEdit::RichEditClassName()
{
  static const wchar_t* const name = []() -> const wchar_t* {
    if (LoadLibraryW(L"Msftedit.dll"))
      return MSFTEDIT_CLASS;
    if (LoadLibraryW(L"Riched20.dll"))
      return RICHEDIT_CLASSW;
    return nullptr;
  }();
  if (!name)
    throw rtl::EInvalidOperation(L"No rich edit library is installed");
  return name;
}

void TCustomRichEdit::Create(TComponent* AOwner)
{
  inherited::Create(AOwner);
  FRichLines = rtl::New<TRichEditStrings>(this);
  FDefAttributes = rtl::New<TTextAttributes>(this);
}

void TCustomRichEdit::Destroy()
{
  inherited::Destroy();
  rtl::FreeAndNil(FDefAttributes);
  rtl::FreeAndNil(FRichLines);
}

void TCustomRichEdit::CreateParams(TCreateParams& AParams)
{
  inherited::CreateParams(AParams);
  CreateSubClass(AParams, RichEditClassName());
}

// The limit of the edit goes up to the rich edit's own (EM_LIMITTEXT stops
// at 64K there); the window reports text changes; without WordWrap lines
// run on past the window's width. Rich text kept from a window before comes
// back.
void TCustomRichEdit::CreateWnd()
{
  inherited::CreateWnd();
  Perform(EM_EXLIMITTEXT, 0, GetMaxLength() > 0 ? GetMaxLength() : 0x7FFFFFFE);
  Perform(EM_SETEVENTMASK, 0, ENM_CHANGE);
  Perform(EM_SETTARGETDEVICE, 0, GetWordWrap() ? 0 : 1);
  if (FHasSavedRichText) {
    FHasSavedRichText = false;
    ComCtrlsStreamInto(FHandle, SF_RTF, FSavedRichText);
    FSavedRichText.clear();
  }
}

void TCustomRichEdit::DestroyWnd()
{
  // Only a window that is made again needs its rich text back.
  if (!FPlainText && !GetComponentState().Contains(csDestroying)) {
    FSavedRichText = GetRichText();
    FHasSavedRichText = true;
  }
  inherited::DestroyWnd();
}

void TCustomRichEdit::EMFormatRange(TMessage& AMessage)
{
  if (AMessage.LParam == 0 || ComCtrlsFormatsRanges())
    InheritedMessage(this, AMessage);
  else
    AMessage.Result = FormatPlainRange(AMessage.WParam != 0, AMessage.LParam);
}

// Twips of the range become logical units of its DC by the DC's pixels per
// inch, as the library converts them; the DC's mapping applies on top. The
// characters that fit are the most whose word-wrapped height stays within
// the layout rectangle.
LRESULT TCustomRichEdit::FormatPlainRange(bool ARender, LPARAM AFormat)
{
  FORMATRANGE& range = *reinterpret_cast<FORMATRANGE*>(AFormat);
  const HDC dc = range.hdc;
  const int ppiX = GetDeviceCaps(dc, LOGPIXELSX);
  const int ppiY = GetDeviceCaps(dc, LOGPIXELSY);
  // Positions as the window counts them: one CR per paragraph.
  String text(static_cast<std::size_t>(std::max(GetTextLen(), 0)) + 1, L'\0');
  GETTEXTEX request{static_cast<DWORD>(text.size() * sizeof(wchar_t)), GT_DEFAULT, 1200, nullptr, nullptr};
  text.resize(static_cast<std::size_t>(std::max<LRESULT>(
      Perform(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&request), reinterpret_cast<LPARAM>(text.data())), 0)));
  const int first = std::clamp<int>(range.chrg.cpMin, 0, static_cast<int>(text.size()));
  const int last = range.chrg.cpMax < 0 ? static_cast<int>(text.size())
                                        : std::clamp<int>(range.chrg.cpMax, first, static_cast<int>(text.size()));
  TRect layout{MulDiv(range.rc.left, ppiX, 1440), MulDiv(range.rc.top, ppiY, 1440), MulDiv(range.rc.right, ppiX, 1440),
               MulDiv(range.rc.bottom, ppiY, 1440)};

  const CHARFORMAT2W format = ComCtrlsGetFormat(this);
  LOGFONTW logFont{};
  logFont.lfHeight = -MulDiv(format.yHeight, ppiY, 1440);
  logFont.lfWeight = (format.dwEffects & CFE_BOLD) != 0 ? FW_BOLD : FW_NORMAL;
  logFont.lfItalic = (format.dwEffects & CFE_ITALIC) != 0;
  logFont.lfUnderline = (format.dwEffects & CFE_UNDERLINE) != 0;
  logFont.lfStrikeOut = (format.dwEffects & CFE_STRIKEOUT) != 0;
  logFont.lfCharSet = format.bCharSet;
  lstrcpynW(logFont.lfFaceName, format.szFaceName, LF_FACESIZE);
  // Made before the guard, so the DC lets go of the font before it goes.
  const TOwnedFont font(CreateFontIndirectW(&logFont));
  const TSaveDCGuard saved(dc);
  SelectObject(dc, font.Get());
  constexpr UINT kFlags = DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS | DT_EDITCONTROL;
  const int width = layout.right - layout.left;
  auto heightOf = [&](int ACount) {
    TRect rect{0, 0, width, 0};
    DrawTextW(dc, text.data() + first, ACount, &rect, kFlags | DT_CALCRECT);
    return rect.bottom - rect.top;
  };
  int low = 0;
  int high = last - first;
  while (low < high) {
    const int middle = (low + high + 1) / 2;
    if (heightOf(middle) <= layout.bottom - layout.top)
      low = middle;
    else
      high = middle - 1;
  }
  // The paragraph mark that ends the last line is passed over, not drawn.
  const int fit = ComCtrlsLineStart(dc, text.data() + first, last - first, low, width);
  low = std::min(low, fit);
  const int used = low > 0 ? heightOf(low) : 0;
  if (ARender && low > 0) {
    SetBkMode(dc, TRANSPARENT);
    const COLORREF color = (format.dwEffects & CFE_AUTOCOLOR) != 0 ? GetSysColor(COLOR_WINDOWTEXT) : format.crTextColor;
    SetTextColor(dc, color);
    TRect rect = layout;
    DrawTextW(dc, text.data() + first, low, &rect, kFlags);
  }
  range.rc.bottom = range.rc.top + MulDiv(used, 1440, ppiY);
  return first + fit;
}

void TCustomRichEdit::SetLines(rtl::TStrings* AValue)
{
  FRichLines->Assign(AValue);
}

void TCustomRichEdit::SetDefAttributes(TTextAttributes* AValue)
{
  FDefAttributes->Assign(AValue);
}

std::string TCustomRichEdit::GetRichText()
{
  return ComCtrlsStreamFrom(GetHandle(), SF_RTF);
}

// Rich text that the window refuses is shown as the plain text it is.
void TCustomRichEdit::LoadText(const String& AText)
{
  const HWND wnd = GetHandle();
  if (!FPlainText && ComCtrlsIsRichText(AText)) {
    const rtl::TBytes bytes = rtl::TEncoding::Default()->GetBytes(AText);
    if (ComCtrlsStreamInto(wnd, SF_RTF, std::string(bytes.begin(), bytes.end())) == 0)
      return;
  }
  // Each CR LF goes in as the window's own paragraph mark, a lone CR: the
  // window reads the stream in buffers, and a pair split between two of
  // them would make two paragraphs.
  String text;
  text.reserve(AText.size());
  for (std::size_t i = 0; i < AText.size(); ++i)
    if (AText[i] != L'\n' || i == 0 || AText[i - 1] != L'\r')
      text += AText[i];
  const std::string bytes(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
  ComCtrlsStreamInto(wnd, SF_TEXT | SF_UNICODE, bytes);
}

}  // namespace vcl
