// The cxTreeView unit: the tree view with the system's border, styles and
// scroll bars around a native tree view, and the routines that move
// selections between tree views and lists.
//   TcxBaseInnerTreeView, TcxCustomInnerTreeView: the native tree view
//     inside; its input reaches the container first, and a handler may see
//     its messages before it does
//   TcxTreeViewContainer, TcxCustomTreeView, TcxTreeView: the container and
//     the tree view's properties passed to the inner one
#pragma once

#include <windows.h>

#include "platform/rtl/Classes.h"
#include "platform/vcl/ComCtrls.h"
#include "controls/cxContainer.h"
#include "editors/cxEdit.h"

class TcxCanvas;
class TcxTreeViewContainer;

using TcxInnerTreeViewWndProcEvent =
    rtl::TMethod<void(vcl::TTreeView* ATreeView, rtl::TMessage& Message, bool& ADone)>;
RTL_TYPE_NAME(TcxInnerTreeViewWndProcEvent)

// ---------------------------------------------------------------------------
// The inner tree views

class TcxBaseInnerTreeView : public vcl::TTreeView, public IcxContainerInnerControl {
  RTL_CLASS(TcxBaseInnerTreeView, vcl::TTreeView)
  RTL_INTERFACES(IcxContainerInnerControl)
  RTL_MESSAGES(RTL_MESSAGE(WM_GETDLGCODE, HandleWMGetDlgCode), RTL_MESSAGE(WM_SETFOCUS, HandleWMSetFocus),
               RTL_MESSAGE(WM_KILLFOCUS, HandleWMKillFocus))

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;
  void DefaultHandler(rtl::TMessage& AMessage) override;
  bool CanFocus() override;

  TcxTreeViewContainer* GetContainer() const { return FContainer; }
  void SetContainer(TcxTreeViewContainer* AValue) { FContainer = AValue; }
  TcxCanvas* GetcxCanvas() const { return FCanvas; }

  // IcxContainerInnerControl
  vcl::TWinControl* __stdcall GetControl() override { return this; }
  TcxContainer* __stdcall GetControlContainer() override;

 protected:
  void WndProc(rtl::TMessage& AMessage) override;
  void Click() override;
  void DblClick() override;
  void KeyDown(WORD& AKey, vcl::TShiftState AShift) override;
  void KeyPress(wchar_t& AKey) override;
  void KeyUp(WORD& AKey, vcl::TShiftState AShift) override;
  void MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y) override;
  void MouseMove(vcl::TShiftState AShift, int X, int Y) override;
  void MouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y) override;
  bool DoMouseWheel(vcl::TShiftState AShift, int AWheelDelta, TPoint AMousePos) override;
  void DragOver(rtl::TObject* ASource, int X, int Y, vcl::TDragState AState, bool& AAccept) override;
  void DragDrop(rtl::TObject* ASource, int X, int Y) override;
  void Change(vcl::TTreeNode* ANode) override;
  void Expand(vcl::TTreeNode* ANode) override;
  void Collapse(vcl::TTreeNode* ANode) override;

  void HandleWMGetDlgCode(rtl::TMessage& AMessage);
  void HandleWMSetFocus(rtl::TMessage& AMessage);
  void HandleWMKillFocus(rtl::TMessage& AMessage);

  // The container's scroll bars follow the inner window.
  void UpdateContainerScrollBars();

  TcxCanvas* FCanvas;
  TcxTreeViewContainer* FContainer;

 private:
  bool UpdatesScrollBarsAfter(UINT AMsg) const;
};

using TcxBaseInnerTreeViewClass = rtl::ClassOf<TcxBaseInnerTreeView>;

class TcxCustomInnerTreeView : public TcxBaseInnerTreeView {
  RTL_CLASS(TcxCustomInnerTreeView, TcxBaseInnerTreeView)

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;

  bool IsRedrawLocked() const { return FIsRedrawLocked; }
  // -1: the window's default.
  int GetItemHeight() const { return FItemHeight; }
  void SetItemHeight(int AValue);
  TcxLookAndFeel* GetLookAndFeel() const { return FLookAndFeel; }

 protected:
  void CreateWnd() override;
  void WndProc(rtl::TMessage& AMessage) override;

 private:
  bool FIsRedrawLocked;
  int FItemHeight;
  TcxLookAndFeel* FLookAndFeel;
};

// ---------------------------------------------------------------------------
// The containers

class TcxTreeViewContainer : public TcxCustomEditContainer {
  RTL_CLASS(TcxTreeViewContainer, TcxCustomEditContainer)
  RTL_MESSAGES(RTL_MESSAGE(rtl::CN_NOTIFY, HandleCNNotify))

 public:
  void Create(rtl::TComponent* AOwner) override;

  TcxBaseInnerTreeView* GetInnerTreeViewOf() const { return FInnerTreeView; }
  TcxInnerTreeViewWndProcEvent GetOnInnerTreeViewWndProc() const { return FOnInnerTreeViewWndProc; }
  void SetOnInnerTreeViewWndProc(TcxInnerTreeViewWndProcEvent AValue) { FOnInnerTreeViewWndProc = AValue; }
  bool GetReadOnly() const { return FInnerTreeView->GetReadOnly(); }

  // The virtual operations the container introduces.
  // Raises OnInnerTreeViewWndProc; True when the handler took the message.
  virtual bool InnerTreeViewWndProcHook(rtl::TMessage& AMessage);
  virtual TcxBaseInnerTreeViewClass GetTreeViewClass();
  virtual void InitializeTreeView();
  virtual void CreateTreeView();
  virtual void SetReadOnly(bool AValue);

  void SetScrollBarsParameters(bool AIsScrolling = false) override;

 protected:
  bool IsReadOnly() override { return GetReadOnly(); }
  void CorrectAlignRect(TRect& R) override;
  void Scroll(TScrollBarKind AScrollBarKind, TScrollCode AScrollCode, int& AScrollPos) override;
  void HandleCNNotify(rtl::TMessage& AMessage);

  TcxBaseInnerTreeView* FInnerTreeView;

 private:
  // The inner tree view routes its input through the container.
  friend class TcxBaseInnerTreeView;

  TcxInnerTreeViewWndProcEvent FOnInnerTreeViewWndProc;
};

class TcxCustomTreeView : public TcxTreeViewContainer {
  RTL_CLASS(TcxCustomTreeView, TcxTreeViewContainer)

 public:
  void Create(rtl::TComponent* AOwner) override;

  TcxCustomInnerTreeView* GetInnerTreeView() const { return static_cast<TcxCustomInnerTreeView*>(FInnerTreeView); }
  TcxBaseInnerTreeViewClass GetTreeViewClass() override;
  void InitializeTreeView() override;

  void AlphaSort(bool ARecurse = true) { GetInnerTreeView()->AlphaSort(ARecurse); }
  void CustomSort(vcl::TTVCompare ASortProc, LPARAM AData, bool ARecurse = true)
  {
    GetInnerTreeView()->CustomSort(ASortProc, AData, ARecurse);
  }
  bool IsEditing() { return GetInnerTreeView()->IsEditing(); }
  void FullCollapse() { GetInnerTreeView()->FullCollapse(); }
  void FullExpand() { GetInnerTreeView()->FullExpand(); }
  // X and Y in the container's coordinates.
  vcl::THitTests GetHitTestInfoAt(int X, int Y);
  vcl::TTreeNode* GetNodeAt(int X, int Y);
  void Select(vcl::TTreeNode* ANode, vcl::TShiftState AShift = {}) { GetInnerTreeView()->Select(ANode, AShift); }
  void Select(const std::vector<vcl::TTreeNode*>& ANodes) { GetInnerTreeView()->Select(ANodes); }
  void Select(rtl::TList* ANodes);
  void Deselect(vcl::TTreeNode* ANode) { GetInnerTreeView()->Deselect(ANode); }
  void Subselect(vcl::TTreeNode* ANode, bool AValidate = false) { GetInnerTreeView()->Subselect(ANode, AValidate); }
  void ClearSelection(bool AKeepPrimary = false) { GetInnerTreeView()->ClearSelection(AKeepPrimary); }
  void GetSelections(rtl::TList* AList);

  vcl::TTreeNodes* GetItems() const { return GetInnerTreeView()->GetItems(); }
  vcl::TTreeNode* GetSelected() { return GetInnerTreeView()->GetSelected(); }
  void SetSelected(vcl::TTreeNode* AValue) { GetInnerTreeView()->SetSelected(AValue); }
  vcl::TTreeNode* GetTopItem() { return GetInnerTreeView()->GetTopItem(); }
  int GetSelectionCount() { return GetInnerTreeView()->GetSelectionCount(); }
  vcl::TTreeNode* GetSelection(int AIndex) { return GetInnerTreeView()->GetSelection(AIndex); }
  TcxCanvas* GetTreeViewCanvas() const { return GetInnerTreeView()->GetcxCanvas(); }

  bool GetAutoExpand() const { return GetInnerTreeView()->GetAutoExpand(); }
  void SetAutoExpand(bool AValue) { GetInnerTreeView()->SetAutoExpand(AValue); }
  bool GetHideSelection() const { return GetInnerTreeView()->GetHideSelection(); }
  void SetHideSelection(bool AValue) { GetInnerTreeView()->SetHideSelection(AValue); }
  bool GetHotTrack() const { return GetInnerTreeView()->GetHotTrack(); }
  void SetHotTrack(bool AValue) { GetInnerTreeView()->SetHotTrack(AValue); }
  int GetIndent() { return GetInnerTreeView()->GetIndent(); }
  void SetIndent(int AValue) { GetInnerTreeView()->SetIndent(AValue); }
  int GetItemHeight() const { return GetInnerTreeView()->GetItemHeight(); }
  void SetItemHeight(int AValue) { GetInnerTreeView()->SetItemHeight(AValue); }
  bool GetMultiSelect() const { return GetInnerTreeView()->GetMultiSelect(); }
  void SetMultiSelect(bool AValue) { GetInnerTreeView()->SetMultiSelect(AValue); }
  bool GetRowSelect() const { return GetInnerTreeView()->GetRowSelect(); }
  void SetRowSelect(bool AValue) { GetInnerTreeView()->SetRowSelect(AValue); }
  bool GetShowButtons() const { return GetInnerTreeView()->GetShowButtons(); }
  void SetShowButtons(bool AValue) { GetInnerTreeView()->SetShowButtons(AValue); }
  bool GetShowLines() const { return GetInnerTreeView()->GetShowLines(); }
  void SetShowLines(bool AValue) { GetInnerTreeView()->SetShowLines(AValue); }
  bool GetShowRoot() const { return GetInnerTreeView()->GetShowRoot(); }
  void SetShowRoot(bool AValue) { GetInnerTreeView()->SetShowRoot(AValue); }
  bool GetToolTips() const { return GetInnerTreeView()->GetToolTips(); }
  void SetToolTips(bool AValue) { GetInnerTreeView()->SetToolTips(AValue); }
  vcl::TCustomImageList* GetImages() const { return GetInnerTreeView()->GetImages(); }
  void SetImages(vcl::TCustomImageList* AValue) { GetInnerTreeView()->SetImages(AValue); }
  vcl::TCustomImageList* GetStateImages() const { return GetInnerTreeView()->GetStateImages(); }
  void SetStateImages(vcl::TCustomImageList* AValue) { GetInnerTreeView()->SetStateImages(AValue); }
  vcl::TTVChangedEvent GetOnChange() const { return GetInnerTreeView()->GetOnChange(); }
  void SetOnChange(vcl::TTVChangedEvent AValue) { GetInnerTreeView()->SetOnChange(AValue); }
  vcl::TTVChangingEvent GetOnChanging() const { return GetInnerTreeView()->GetOnChanging(); }
  void SetOnChanging(vcl::TTVChangingEvent AValue) { GetInnerTreeView()->SetOnChanging(AValue); }
  vcl::TTVExpandedEvent GetOnExpanded() const { return GetInnerTreeView()->GetOnExpanded(); }
  void SetOnExpanded(vcl::TTVExpandedEvent AValue) { GetInnerTreeView()->SetOnExpanded(AValue); }
  vcl::TTVExpandingEvent GetOnExpanding() const { return GetInnerTreeView()->GetOnExpanding(); }
  void SetOnExpanding(vcl::TTVExpandingEvent AValue) { GetInnerTreeView()->SetOnExpanding(AValue); }
  vcl::TTVExpandedEvent GetOnCollapsed() const { return GetInnerTreeView()->GetOnCollapsed(); }
  void SetOnCollapsed(vcl::TTVExpandedEvent AValue) { GetInnerTreeView()->SetOnCollapsed(AValue); }
  vcl::TTVCollapsingEvent GetOnCollapsing() const { return GetInnerTreeView()->GetOnCollapsing(); }
  void SetOnCollapsing(vcl::TTVCollapsingEvent AValue) { GetInnerTreeView()->SetOnCollapsing(AValue); }
  vcl::TTVExpandedEvent GetOnDeletion() const { return GetInnerTreeView()->GetOnDeletion(); }
  void SetOnDeletion(vcl::TTVExpandedEvent AValue) { GetInnerTreeView()->SetOnDeletion(AValue); }
  vcl::TSortType GetSortType() const { return GetInnerTreeView()->GetSortType(); }
  void SetSortType(vcl::TSortType AValue) { GetInnerTreeView()->SetSortType(AValue); }
  vcl::TTVExpandedEvent GetOnAddition() const { return GetInnerTreeView()->GetOnAddition(); }
  void SetOnAddition(vcl::TTVExpandedEvent AValue) { GetInnerTreeView()->SetOnAddition(AValue); }
  vcl::TTVChangedEvent GetOnCancelEdit() const { return GetInnerTreeView()->GetOnCancelEdit(); }
  void SetOnCancelEdit(vcl::TTVChangedEvent AValue) { GetInnerTreeView()->SetOnCancelEdit(AValue); }
  vcl::TTVCompareEvent GetOnCompare() const { return GetInnerTreeView()->GetOnCompare(); }
  void SetOnCompare(vcl::TTVCompareEvent AValue) { GetInnerTreeView()->SetOnCompare(AValue); }
  vcl::TTVEditingEvent GetOnEditing() const { return GetInnerTreeView()->GetOnEditing(); }
  void SetOnEditing(vcl::TTVEditingEvent AValue) { GetInnerTreeView()->SetOnEditing(AValue); }
  vcl::TTVEditedEvent GetOnEdited() const { return GetInnerTreeView()->GetOnEdited(); }
  void SetOnEdited(vcl::TTVEditedEvent AValue) { GetInnerTreeView()->SetOnEdited(AValue); }
  vcl::TTVExpandedEvent GetOnGetImageIndex() const { return GetInnerTreeView()->GetOnGetImageIndex(); }
  void SetOnGetImageIndex(vcl::TTVExpandedEvent AValue) { GetInnerTreeView()->SetOnGetImageIndex(AValue); }
  vcl::TTVExpandedEvent GetOnGetSelectedIndex() const { return GetInnerTreeView()->GetOnGetSelectedIndex(); }
  void SetOnGetSelectedIndex(vcl::TTVExpandedEvent AValue) { GetInnerTreeView()->SetOnGetSelectedIndex(AValue); }
  vcl::TTVCustomDrawEvent GetOnCustomDraw() const { return GetInnerTreeView()->GetOnCustomDraw(); }
  void SetOnCustomDraw(vcl::TTVCustomDrawEvent AValue) { GetInnerTreeView()->SetOnCustomDraw(AValue); }
  vcl::TTVCustomDrawItemEvent GetOnCustomDrawItem() const { return GetInnerTreeView()->GetOnCustomDrawItem(); }
  void SetOnCustomDrawItem(vcl::TTVCustomDrawItemEvent AValue) { GetInnerTreeView()->SetOnCustomDrawItem(AValue); }
};

class TcxTreeView : public TcxCustomTreeView {
  RTL_CLASS(TcxTreeView, TcxCustomTreeView)
  RTL_PUBLISHED(
      RTL_PUBLISH(Align), RTL_PUBLISH(Anchors),
      RTL_PROPERTY(AutoExpand, GetAutoExpand, SetAutoExpand, RTL_DEFAULT(false)), RTL_PUBLISH(BiDiMode),
      RTL_PUBLISH(Constraints), RTL_PUBLISH(DragCursor), RTL_PUBLISH(DragKind), RTL_PUBLISH(DragMode),
      RTL_PUBLISH(Enabled), RTL_PROPERTY(HideSelection, GetHideSelection, SetHideSelection, RTL_DEFAULT(true)),
      RTL_PROPERTY(HotTrack, GetHotTrack, SetHotTrack, RTL_DEFAULT(false)), RTL_PROPERTY(Images, GetImages, SetImages),
      RTL_PROPERTY(Indent, GetIndent, SetIndent, RTL_DEFAULT(19)),
      RTL_PROPERTY(ItemHeight, GetItemHeight, SetItemHeight, RTL_DEFAULT(-1)),
      RTL_PROPERTY(MultiSelect, GetMultiSelect, SetMultiSelect, RTL_DEFAULT(false)), RTL_PUBLISH(ParentBiDiMode),
      RTL_PUBLISH(ParentColor), RTL_PUBLISH(ParentFont), RTL_PUBLISH(ParentShowHint), RTL_PUBLISH(PopupMenu),
      RTL_PROPERTY(ReadOnly, GetReadOnly, SetReadOnly, RTL_DEFAULT(false)),
      RTL_PROPERTY(RowSelect, GetRowSelect, SetRowSelect, RTL_DEFAULT(false)),
      RTL_PROPERTY(ShowButtons, GetShowButtons, SetShowButtons, RTL_DEFAULT(true)), RTL_PUBLISH(ShowHint),
      RTL_PROPERTY(ShowLines, GetShowLines, SetShowLines, RTL_DEFAULT(true)),
      RTL_PROPERTY(ShowRoot, GetShowRoot, SetShowRoot, RTL_DEFAULT(true)),
      RTL_PROPERTY(SortType, GetSortType, SetSortType, RTL_DEFAULT(vcl::TSortType::stNone)),
      RTL_PROPERTY(StateImages, GetStateImages, SetStateImages), RTL_PROPERTY(Style, GetStyle, SetStyle),
      RTL_PROPERTY(StyleDisabled, GetStyleDisabled, SetStyleDisabled),
      RTL_PROPERTY(StyleFocused, GetStyleFocused, SetStyleFocused), RTL_PROPERTY(StyleHot, GetStyleHot, SetStyleHot),
      RTL_PUBLISH(TabOrder), RTL_PUBLISH(TabStop), RTL_PROPERTY(ToolTips, GetToolTips, SetToolTips, RTL_DEFAULT(true)),
      RTL_PUBLISH(Visible), RTL_PROPERTY(OnAddition, GetOnAddition, SetOnAddition),
      RTL_PROPERTY(OnCancelEdit, GetOnCancelEdit, SetOnCancelEdit), RTL_PROPERTY(OnChange, GetOnChange, SetOnChange),
      RTL_PROPERTY(OnChanging, GetOnChanging, SetOnChanging), RTL_PUBLISH(OnClick),
      RTL_PROPERTY(OnCollapsed, GetOnCollapsed, SetOnCollapsed),
      RTL_PROPERTY(OnCollapsing, GetOnCollapsing, SetOnCollapsing),
      RTL_PROPERTY(OnCompare, GetOnCompare, SetOnCompare), RTL_PUBLISH(OnContextPopup),
      RTL_PROPERTY(OnCustomDraw, GetOnCustomDraw, SetOnCustomDraw),
      RTL_PROPERTY(OnCustomDrawItem, GetOnCustomDrawItem, SetOnCustomDrawItem), RTL_PUBLISH(OnDblClick),
      RTL_PROPERTY(OnDeletion, GetOnDeletion, SetOnDeletion), RTL_PUBLISH(OnDragDrop), RTL_PUBLISH(OnDragOver),
      RTL_PROPERTY(OnEdited, GetOnEdited, SetOnEdited), RTL_PROPERTY(OnEditing, GetOnEditing, SetOnEditing),
      RTL_PUBLISH(OnEndDock), RTL_PUBLISH(OnEndDrag), RTL_PUBLISH(OnEnter), RTL_PUBLISH(OnExit),
      RTL_PROPERTY(OnExpanded, GetOnExpanded, SetOnExpanded), RTL_PROPERTY(OnExpanding, GetOnExpanding, SetOnExpanding),
      RTL_PROPERTY(OnGetImageIndex, GetOnGetImageIndex, SetOnGetImageIndex),
      RTL_PROPERTY(OnGetSelectedIndex, GetOnGetSelectedIndex, SetOnGetSelectedIndex),
      RTL_PUBLISH(OnKeyDown), RTL_PUBLISH(OnKeyPress), RTL_PUBLISH(OnKeyUp), RTL_PUBLISH(OnMouseDown),
      RTL_PUBLISH(OnMouseEnter), RTL_PUBLISH(OnMouseLeave), RTL_PUBLISH(OnMouseMove), RTL_PUBLISH(OnMouseUp),
      RTL_PUBLISH(OnStartDock), RTL_PUBLISH(OnStartDrag))
};

// ---------------------------------------------------------------------------
// Tree-view routines

// Each node first, then its children: the node whose Data is AData.
bool dxTreeViewFindNodeByData(vcl::TCustomTreeView* ATreeView, void* AData, vcl::TTreeNode*& ANode);
// The node under P when P lies on an item; nil elsewhere.
vcl::TTreeNode* dxTreeViewNodeAtPoint(vcl::TCustomTreeView* ATreeView, const TPoint& P);
// The Data of every selected node, in selection order.
void dxTreeViewSelectionToList(vcl::TCustomTreeView* ATreeView, rtl::TList* AList);
// Selects exactly the nodes whose Data is in AList (none for an empty list).
void dxTreeViewSelectFromList(vcl::TCustomTreeView* ATreeView, rtl::TList* AList);
// P in the coordinates of the tree view's parent.
vcl::TTreeNode* cxTreeViewNodeAtParentPoint(TcxCustomTreeView* ATreeView, const TPoint& P);
