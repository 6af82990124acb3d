// The ComCtrls unit: the framework's controls over the common controls'
// tree view and over the rich edit control.
//   TCustomDrawState, THitTests and the tree view's event types
//   TTreeNode, TTreeNodes: the nodes of a tree view. The control keeps them
//     (text, data, images, expanded state, order); its window shows them and
//     is filled again from them when it is re-created, so node pointers stay
//     valid across RecreateWnd
//   TCustomTreeView, TTreeView: a WC_TREEVIEW window, its styles, images and
//     the selection, expansion, custom-draw and image events
//   TTextAttributes: the rich edit's default character format
//   TRichEditStrings: the rich edit's lines, loaded and saved as rich text
//     (EM_STREAMIN/EM_STREAMOUT)
//   TCustomRichEdit, TRichEdit: a rich edit window (RICHEDIT50W of
//     Msftedit.dll, else RichEdit20W of Riched20.dll)
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/StdCtrls.h"

namespace vcl {

class TChangeLink;
class TCustomImageList;
class TCustomTreeView;
class TTreeNodes;

// ---------------------------------------------------------------------------
// Types

// The CDIS_* bits of a custom-drawn item, bit for bit.
RTL_ENUM(TCustomDrawStateItem, cdsSelected, cdsGrayed, cdsDisabled, cdsChecked, cdsFocused, cdsDefault, cdsHot,
         cdsMarked, cdsIndeterminate, cdsShowKeyboardCues, cdsNearHot, cdsOtherSideHot, cdsDropHilited);
using TCustomDrawState = rtl::TSet<TCustomDrawStateItem>;
RTL_TYPE_NAME(TCustomDrawState)

// Where a point lies relative to the tree view's items.
RTL_ENUM(THitTest, htAbove, htBelow, htNowhere, htOnItem, htOnButton, htOnIcon, htOnIndent, htOnLabel, htOnRight,
         htOnStateIcon, htToLeft, htToRight);
using THitTests = rtl::TSet<THitTest>;
RTL_TYPE_NAME(THitTests)

class TTreeNode;

// OnChange, OnExpanded, OnCollapsed, OnGetImageIndex, OnGetSelectedIndex,
// OnDeletion.
using TTVExpandedEvent = rtl::TMethod<void(TObject* Sender, TTreeNode* Node)>;
using TTVChangedEvent = TTVExpandedEvent;
// OnChanging, OnExpanding, OnCollapsing: clearing the flag refuses.
using TTVChangingEvent = rtl::TMethod<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVExpandingEvent = TTVChangingEvent;
using TTVCollapsingEvent = TTVChangingEvent;
using TTVCustomDrawEvent = rtl::TMethod<void(TCustomTreeView* Sender, const TRect& ARect, bool& DefaultDraw)>;
using TTVCustomDrawItemEvent =
    rtl::TMethod<void(TCustomTreeView* Sender, TTreeNode* Node, TCustomDrawState State, bool& DefaultDraw)>;
// OnCompare: a negative, zero or positive Compare orders Node1 before,
// with or after Node2.
using TTVCompareEvent =
    rtl::TMethod<void(TObject* Sender, TTreeNode* Node1, TTreeNode* Node2, std::intptr_t Data, int& Compare)>;
// OnEditing: clearing AllowEdit refuses the label edit; OnEdited may change
// the new text S.
using TTVEditingEvent = TTVChangingEvent;
using TTVEditedEvent = rtl::TMethod<void(TObject* Sender, TTreeNode* Node, String& S)>;
// A sort procedure of CustomSort: LParam1 and LParam2 are the nodes
// (TTreeNode*), AData what CustomSort was given.
using TTVCompare = int(CALLBACK*)(LPARAM LParam1, LPARAM LParam2, LPARAM AData);
// What the tree keeps sorted: stText and stBoth sort siblings as nodes are
// added.
RTL_ENUM(TSortType, stNone, stData, stText, stBoth);
RTL_TYPE_NAME(TTVExpandedEvent)
RTL_TYPE_NAME(TTVCompareEvent)
RTL_TYPE_NAME(TTVEditedEvent)
RTL_TYPE_NAME(TTVChangingEvent)
RTL_TYPE_NAME(TTVCustomDrawEvent)
RTL_TYPE_NAME(TTVCustomDrawItemEvent)

// ---------------------------------------------------------------------------
// TTreeNode

// A node of a tree view. Nodes are made by TTreeNodes and freed by Delete
// (or rtl::Free), which takes the children and the window's item along.
class TTreeNode : public rtl::TPersistent {
  RTL_CLASS(TTreeNode, rtl::TPersistent)

 public:
  void Create(TTreeNodes* AOwner);
  // OnDeletion, then the children, then the window's item.
  void Destroy() override;
  void Delete();
  void DeleteChildren();

  TTreeNodes* GetOwner() const { return FOwner; }
  TCustomTreeView* GetTreeView() const;
  // The window's item; nil while the tree view has no window.
  HTREEITEM GetItemId() const { return FItemId; }

  const String& GetText() const { return FText; }
  void SetText(const String& AValue);
  void* GetData() const { return FData; }
  void SetData(void* AValue) { FData = AValue; }
  // Indexes into the tree view's Images (the selected one while the node is
  // selected) and StateImages; -1 for none.
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int AValue);
  int GetSelectedIndex() const { return FSelectedIndex; }
  void SetSelectedIndex(int AValue);
  int GetStateIndex() const { return FStateIndex; }
  void SetStateIndex(int AValue);
  // The button shows; true from the first child on, false when the last
  // child goes.
  bool GetHasChildren() const { return FHasChildren; }
  void SetHasChildren(bool AValue);

  // The children.
  int GetCount() const { return static_cast<int>(FChildren.size()); }
  // Raises EListError for an index out of range.
  TTreeNode* GetItem(int AIndex) const;
  TTreeNode* GetParent() const { return FParent; }
  // 0 for a root node.
  int GetLevel() const;
  // The place among the siblings.
  int GetIndex() const;
  // The place in Items, counted depth first.
  int GetAbsoluteIndex() const;
  TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front(); }
  TTreeNode* GetLastChild() const { return FChildren.empty() ? nullptr : FChildren.back(); }
  TTreeNode* GetNextSibling() const;
  TTreeNode* GetPrevSibling() const;
  // The next node depth first; nil after the last one.
  TTreeNode* GetNext() const;
  bool HasAsParent(const TTreeNode* AValue) const;

  // Expanding and collapsing by the program asks OnExpanding/OnCollapsing
  // and reports OnExpanded/OnCollapsed as the user's clicks do.
  bool GetExpanded() const;
  void SetExpanded(bool AValue);
  void Expand(bool ARecurse);
  void Collapse(bool ARecurse);
  bool GetSelected() const;
  void SetSelected(bool AValue);
  bool GetFocused() const;
  void SetFocused(bool AValue);
  // Shown: every parent expanded.
  bool IsVisible() const;
  void MakeVisible();
  // The item's rectangle in the client area (the text alone when
  // ATextOnly); empty while the node is not on screen.
  TRect DisplayRect(bool ATextOnly) const;

 private:
  // Sends the node's item state: text, images, children button.
  void UpdateItem(UINT AMask) const;
  void InvalidateItem() const;
  void ExpandItem(bool AExpand, bool ARecurse);
  // The children list of the parent, or the roots.
  std::vector<TTreeNode*>& Siblings() const;

  TTreeNodes* FOwner;
  TTreeNode* FParent;
  std::vector<TTreeNode*> FChildren;
  HTREEITEM FItemId;
  String FText;
  void* FData;
  int FImageIndex;
  int FSelectedIndex;
  int FStateIndex;
  bool FHasChildren;
  // Kept while there is no window.
  bool FExpanded;
  bool FDeleting;

  friend class TTreeNodes;
  friend class TCustomTreeView;
};

// ---------------------------------------------------------------------------
// TTreeNodes

// The nodes of a tree view. The Add forms append (after the last sibling of
// ASibling, or as the last root without one), the AddChild forms append to
// the children of AParent (a root without one), the First forms put the
// node first, Insert puts it before ASibling.
class TTreeNodes : public rtl::TPersistent {
  RTL_CLASS(TTreeNodes, rtl::TPersistent)

 public:
  void Create(TCustomTreeView* AOwner);
  // Frees the nodes (with OnDeletion).
  void Destroy() override;

  TTreeNode* Add(TTreeNode* ASibling, const String& S);
  TTreeNode* AddObject(TTreeNode* ASibling, const String& S, void* AData);
  TTreeNode* AddFirst(TTreeNode* ASibling, const String& S);
  TTreeNode* AddObjectFirst(TTreeNode* ASibling, const String& S, void* AData);
  TTreeNode* AddChild(TTreeNode* AParent, const String& S);
  TTreeNode* AddChildObject(TTreeNode* AParent, const String& S, void* AData);
  TTreeNode* AddChildFirst(TTreeNode* AParent, const String& S);
  TTreeNode* AddChildObjectFirst(TTreeNode* AParent, const String& S, void* AData);
  TTreeNode* Insert(TTreeNode* ASibling, const String& S);
  TTreeNode* InsertObject(TTreeNode* ASibling, const String& S, void* AData);
  void Delete(TTreeNode* ANode);
  void Clear();
  // Redrawing waits until the last EndUpdate.
  void BeginUpdate();
  void EndUpdate();

  TCustomTreeView* GetOwner() const { return FOwner; }
  // Every node, counted depth first.
  int GetCount() const;
  // Node AIndex depth first; raises EListError out of range.
  TTreeNode* GetItem(int AIndex) const;
  TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front(); }
  // The node of a window item; nil for none.
  TTreeNode* GetNode(HTREEITEM AItemId) const;

 private:
  // Makes the node at APosition of AParent's children (of the roots
  // without a parent) and shows it when there is a window.
  TTreeNode* InternalAdd(TTreeNode* AParent, std::size_t APosition, const String& S, void* AData);
  // The node, its children and their states into the window after
  // AInsertAfter (TVI_FIRST, TVI_LAST or a sibling's item).
  void InsertItem(TTreeNode* ANode, HTREEITEM AInsertAfter);
  std::vector<TTreeNode*>& ChildrenOf(TTreeNode* AParent) { return AParent ? AParent->FChildren : FRoots; }
  // Orders AParent's children (the roots without a parent) by ACompare, the
  // nodes first and then the window's items, and with ARecurse every level
  // below.
  void SortChildren(TTreeNode* AParent, TTVCompare ACompare, LPARAM AData, bool ARecurse);

  TCustomTreeView* FOwner;
  std::vector<TTreeNode*> FRoots;
  int FUpdateCount;

  friend class TTreeNode;
  friend class TCustomTreeView;
};

// ---------------------------------------------------------------------------
// TCustomTreeView

// A WC_TREEVIEW window. The nodes live in Items whether or not there is a
// window; a new window is filled from them with their expanded states, the
// selection and the top item of the window before. The window's selection
// and expansion notifications (reflected as CN_NOTIFY) become the events;
// NM_CUSTOMDRAW becomes OnCustomDraw/OnCustomDrawItem on Canvas.
class TCustomTreeView : public TWinControl {
  RTL_CLASS(TCustomTreeView, TWinControl)
  RTL_MESSAGES(RTL_MESSAGE(CN_NOTIFY, CNNotify))

 public:
  void Create(TComponent* AOwner) override;
  void Destroy() override;

  // The same object for the control's life.
  TTreeNodes* GetItems() const { return FTreeNodes; }
  // The selected node; nil for none. Setting it asks OnChanging, which may
  // refuse, then reports OnChange.
  TTreeNode* GetSelected();
  void SetSelected(TTreeNode* AValue);
  TTreeNode* GetTopItem();
  void SetTopItem(TTreeNode* AValue);
  // The node at a client point (nil for none) and what the point is on.
  TTreeNode* GetNodeAt(int X, int Y);
  THitTests GetHitTestInfoAt(int X, int Y);
  void FullExpand();
  void FullCollapse();
  TCanvas* GetCanvas() const { return FCanvas; }

  // Sorting keeps the nodes and the window in the same order. AlphaSort
  // orders by OnCompare when assigned, else by text ignoring case;
  // CustomSort by ASortProc (AlphaSort's order when nil).
  void AlphaSort(bool ARecurse = true);
  void CustomSort(TTVCompare ASortProc, LPARAM AData, bool ARecurse = true);
  TSortType GetSortType() const { return FSortType; }
  // Setting stText or stBoth (and stData with OnCompare) sorts at once.
  void SetSortType(TSortType AValue);
  bool IsEditing();

  // Several selected nodes. The window knows one selected item (the caret,
  // Selected); the others carry the selected state the control sets on
  // them. Without MultiSelect the selection is the caret alone.
  bool GetMultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool AValue);
  int GetSelectionCount();
  // In selection order; raises EListError out of range.
  TTreeNode* GetSelection(int AIndex);
  // With ssCtrl (and MultiSelect) ANode joins the selection; otherwise it
  // becomes the only selected node. ANode becomes the caret.
  void Select(TTreeNode* ANode, TShiftState AShift = {});
  void Select(const std::vector<TTreeNode*>& ANodes);
  void Deselect(TTreeNode* ANode);
  // Joins the selection without moving the caret.
  void Subselect(TTreeNode* ANode, bool AValidate = false);
  // Every node leaves the selection; the caret's stays with AKeepPrimary.
  void ClearSelection(bool AKeepPrimary = false);

  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* AValue);
  TCustomImageList* GetStateImages() const { return FStateImages; }
  void SetStateImages(TCustomImageList* AValue);
  bool GetShowButtons() const { return FShowButtons; }
  void SetShowButtons(bool AValue);
  bool GetShowLines() const { return FShowLines; }
  void SetShowLines(bool AValue);
  bool GetShowRoot() const { return FShowRoot; }
  void SetShowRoot(bool AValue);
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool AValue);
  // Without ReadOnly the user edits the labels in place.
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool AValue);
  bool GetRowSelect() const { return FRowSelect; }
  void SetRowSelect(bool AValue);
  bool GetHotTrack() const { return FHotTrack; }
  void SetHotTrack(bool AValue);
  bool GetToolTips() const { return FToolTips; }
  void SetToolTips(bool AValue);
  bool GetAutoExpand() const { return FAutoExpand; }
  void SetAutoExpand(bool AValue);
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle AValue);
  int GetIndent();
  void SetIndent(int AValue);

  TTVChangingEvent GetOnChanging() const { return FOnChanging; }
  void SetOnChanging(TTVChangingEvent AValue) { FOnChanging = AValue; }
  TTVChangedEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TTVChangedEvent AValue) { FOnChange = AValue; }
  TTVExpandingEvent GetOnExpanding() const { return FOnExpanding; }
  void SetOnExpanding(TTVExpandingEvent AValue) { FOnExpanding = AValue; }
  TTVExpandedEvent GetOnExpanded() const { return FOnExpanded; }
  void SetOnExpanded(TTVExpandedEvent AValue) { FOnExpanded = AValue; }
  TTVCollapsingEvent GetOnCollapsing() const { return FOnCollapsing; }
  void SetOnCollapsing(TTVCollapsingEvent AValue) { FOnCollapsing = AValue; }
  TTVExpandedEvent GetOnCollapsed() const { return FOnCollapsed; }
  void SetOnCollapsed(TTVExpandedEvent AValue) { FOnCollapsed = AValue; }
  TTVExpandedEvent GetOnDeletion() const { return FOnDeletion; }
  void SetOnDeletion(TTVExpandedEvent AValue) { FOnDeletion = AValue; }
  TTVExpandedEvent GetOnGetImageIndex() const { return FOnGetImageIndex; }
  void SetOnGetImageIndex(TTVExpandedEvent AValue) { FOnGetImageIndex = AValue; }
  TTVExpandedEvent GetOnGetSelectedIndex() const { return FOnGetSelectedIndex; }
  void SetOnGetSelectedIndex(TTVExpandedEvent AValue) { FOnGetSelectedIndex = AValue; }
  TTVCompareEvent GetOnCompare() const { return FOnCompare; }
  void SetOnCompare(TTVCompareEvent AValue) { FOnCompare = AValue; }
  TTVExpandedEvent GetOnAddition() const { return FOnAddition; }
  void SetOnAddition(TTVExpandedEvent AValue) { FOnAddition = AValue; }
  TTVEditingEvent GetOnEditing() const { return FOnEditing; }
  void SetOnEditing(TTVEditingEvent AValue) { FOnEditing = AValue; }
  TTVEditedEvent GetOnEdited() const { return FOnEdited; }
  void SetOnEdited(TTVEditedEvent AValue) { FOnEdited = AValue; }
  TTVChangedEvent GetOnCancelEdit() const { return FOnCancelEdit; }
  void SetOnCancelEdit(TTVChangedEvent AValue) { FOnCancelEdit = AValue; }
  TTVCustomDrawEvent GetOnCustomDraw() const { return FOnCustomDraw; }
  void SetOnCustomDraw(TTVCustomDrawEvent AValue) { FOnCustomDraw = AValue; }
  TTVCustomDrawItemEvent GetOnCustomDrawItem() const { return FOnCustomDrawItem; }
  void SetOnCustomDrawItem(TTVCustomDrawItemEvent AValue) { FOnCustomDrawItem = AValue; }

 protected:
  void CreateParams(TCreateParams& AParams) override;
  // The window, then its image lists and the nodes.
  void CreateWnd() override;
  // The selection, top item and expanded states go into the control.
  void DestroyWnd() override;
  void Notification(TComponent* AComponent, rtl::TOperation AOperation) override;

  // The event steps, each a virtual of its own as the framework has them.
  virtual bool CanChange(TTreeNode* ANode);
  virtual void Change(TTreeNode* ANode);
  virtual bool CanExpand(TTreeNode* ANode);
  virtual void Expand(TTreeNode* ANode);
  virtual bool CanCollapse(TTreeNode* ANode);
  virtual void Collapse(TTreeNode* ANode);
  virtual void Delete(TTreeNode* ANode);
  virtual void GetImageIndex(TTreeNode* ANode);
  virtual void GetSelectedIndex(TTreeNode* ANode);
  virtual bool CustomDraw(const TRect& ARect);
  virtual bool CustomDrawItem(TTreeNode* ANode, TCustomDrawState AState);
  virtual void Added(TTreeNode* ANode);
  virtual bool CanEdit(TTreeNode* ANode);
  virtual void Edit(TTreeNode* ANode, String& S);
  virtual void CancelEdit(TTreeNode* ANode);
  // The order of two nodes for AlphaSort and SortType.
  virtual int Compare(TTreeNode* ANode1, TTreeNode* ANode2);
  bool IsCustomDrawn() const { return FOnCustomDraw || FOnCustomDrawItem; }

  void CNNotify(TWMNotify& AMessage);

 private:
  // The native styles as the properties say.
  DWORD TreeStyles() const;
  void SetTreeStyle(bool& AField, bool AValue);
  void ApplyImageLists();
  void ImageListChange(TObject* ASender);
  // AOther is the list of the other role: while it is the same list, the
  // tree keeps its free notification.
  void SetImageList(TCustomImageList*& AField, TChangeLink* ALink, TCustomImageList* AValue, TCustomImageList* AOther);
  LRESULT CustomDrawNotify(NMTVCUSTOMDRAW& ADraw);
  bool IsInSelection(const TTreeNode* ANode) const;
  // The selected state of a node's item as the selection has it.
  void ApplySelectedState(const TTreeNode* ANode) const;
  // A freed node leaves the selection.
  void ForgetSelection(const TTreeNode* ANode);
  void GetDispInfo(NMTVDISPINFOW& AInfo);
  // The window's notifications are ignored while the control drives the
  // window itself (filling it, expanding by program) or lets it go.
  bool IgnoresNotifications() const;

  TTreeNodes* FTreeNodes;
  TControlCanvas* FCanvas;
  TCustomImageList* FImages;
  TCustomImageList* FStateImages;
  // One link per role: a link knows one list.
  TChangeLink* FImageChangeLink;
  TChangeLink* FStateChangeLink;
  TBorderStyle FBorderStyle;
  int FIndent;
  bool FShowButtons;
  bool FShowLines;
  bool FShowRoot;
  bool FHideSelection;
  bool FReadOnly;
  bool FRowSelect;
  bool FHotTrack;
  bool FToolTips;
  bool FAutoExpand;
  // Expansion by program: the window's own expansion notifications are not
  // the user's.
  int FManualNotify;
  // The window is being filled from the nodes.
  bool FFilling;
  // What the control keeps while it has no window.
  TTreeNode* FSaveSelected;
  TTreeNode* FSaveTopItem;
  bool FMultiSelect;
  // Set while the control moves the caret itself.
  bool FSelecting;
  std::vector<TTreeNode*> FSelections;
  TTVChangingEvent FOnChanging;
  TTVChangedEvent FOnChange;
  TTVExpandingEvent FOnExpanding;
  TTVExpandedEvent FOnExpanded;
  TTVCollapsingEvent FOnCollapsing;
  TTVExpandedEvent FOnCollapsed;
  TTVExpandedEvent FOnDeletion;
  TTVExpandedEvent FOnGetImageIndex;
  TTVExpandedEvent FOnGetSelectedIndex;
  TTVCustomDrawEvent FOnCustomDraw;
  TTVCustomDrawItemEvent FOnCustomDrawItem;
  TTVCompareEvent FOnCompare;
  TTVExpandedEvent FOnAddition;
  TTVEditingEvent FOnEditing;
  TTVEditedEvent FOnEdited;
  TTVChangedEvent FOnCancelEdit;
  TSortType FSortType;

  friend class TTreeNode;
  friend class TTreeNodes;
};

class TTreeView : public TCustomTreeView {
  RTL_CLASS(TTreeView, TCustomTreeView)
  RTL_PUBLISHED(RTL_PUBLISH(Align), RTL_PUBLISH(Anchors),
                RTL_PROPERTY(AutoExpand, GetAutoExpand, SetAutoExpand, RTL_DEFAULT(false)), RTL_PUBLISH(BiDiMode),
                RTL_PROPERTY(BorderStyle, GetBorderStyle, SetBorderStyle, RTL_DEFAULT(TFormBorderStyle::bsSingle)),
                RTL_PUBLISH(Color),
                RTL_PUBLISH(Constraints), RTL_PUBLISH(DoubleBuffered), RTL_PUBLISH(DragCursor),
                RTL_PUBLISH(DragKind), RTL_PUBLISH(DragMode), RTL_PUBLISH(Enabled), RTL_PUBLISH(Font),
                RTL_PROPERTY(HideSelection, GetHideSelection, SetHideSelection, RTL_DEFAULT(true)),
                RTL_PROPERTY(HotTrack, GetHotTrack, SetHotTrack, RTL_DEFAULT(false)),
                RTL_PROPERTY(Images, GetImages, SetImages), RTL_PROPERTY(Indent, GetIndent, SetIndent),
                RTL_PUBLISH(ParentBiDiMode), RTL_PUBLISH(ParentColor, RTL_DEFAULT(false)), RTL_PUBLISH(ParentFont),
                RTL_PUBLISH(ParentShowHint), RTL_PUBLISH(PopupMenu),
                RTL_PROPERTY(ReadOnly, GetReadOnly, SetReadOnly, RTL_DEFAULT(false)),
                RTL_PROPERTY(RowSelect, GetRowSelect, SetRowSelect, RTL_DEFAULT(false)),
                RTL_PROPERTY(ShowButtons, GetShowButtons, SetShowButtons, RTL_DEFAULT(true)), RTL_PUBLISH(ShowHint),
                RTL_PROPERTY(ShowLines, GetShowLines, SetShowLines, RTL_DEFAULT(true)),
                RTL_PROPERTY(ShowRoot, GetShowRoot, SetShowRoot, RTL_DEFAULT(true)),
                RTL_PROPERTY(SortType, GetSortType, SetSortType, RTL_DEFAULT(TSortType::stNone)),
                RTL_PROPERTY(StateImages, GetStateImages, SetStateImages), RTL_PUBLISH(TabOrder),
                RTL_PUBLISH(TabStop, RTL_DEFAULT(true)),
                RTL_PROPERTY(ToolTips, GetToolTips, SetToolTips, RTL_DEFAULT(true)), RTL_PUBLISH(Visible),
                RTL_PROPERTY(OnAddition, GetOnAddition, SetOnAddition),
                RTL_PROPERTY(OnCancelEdit, GetOnCancelEdit, SetOnCancelEdit),
                RTL_PROPERTY(OnChange, GetOnChange, SetOnChange),
                RTL_PROPERTY(OnChanging, GetOnChanging, SetOnChanging), RTL_PUBLISH(OnClick),
                RTL_PROPERTY(OnCollapsed, GetOnCollapsed, SetOnCollapsed),
                RTL_PROPERTY(OnCollapsing, GetOnCollapsing, SetOnCollapsing),
                RTL_PROPERTY(OnCompare, GetOnCompare, SetOnCompare), RTL_PUBLISH(OnContextPopup),
                RTL_PROPERTY(OnCustomDraw, GetOnCustomDraw, SetOnCustomDraw),
                RTL_PROPERTY(OnCustomDrawItem, GetOnCustomDrawItem, SetOnCustomDrawItem), RTL_PUBLISH(OnDblClick),
                RTL_PROPERTY(OnDeletion, GetOnDeletion, SetOnDeletion), RTL_PUBLISH(OnDragDrop),
                RTL_PUBLISH(OnDragOver), RTL_PROPERTY(OnEdited, GetOnEdited, SetOnEdited),
                RTL_PROPERTY(OnEditing, GetOnEditing, SetOnEditing), RTL_PUBLISH(OnEndDock),
                RTL_PUBLISH(OnEndDrag), RTL_PUBLISH(OnEnter),
                RTL_PUBLISH(OnExit), RTL_PROPERTY(OnExpanded, GetOnExpanded, SetOnExpanded),
                RTL_PROPERTY(OnExpanding, GetOnExpanding, SetOnExpanding),
                RTL_PROPERTY(OnGetImageIndex, GetOnGetImageIndex, SetOnGetImageIndex),
                RTL_PROPERTY(OnGetSelectedIndex, GetOnGetSelectedIndex, SetOnGetSelectedIndex),
                RTL_PUBLISH(OnKeyDown), RTL_PUBLISH(OnKeyPress), RTL_PUBLISH(OnKeyUp), RTL_PUBLISH(OnMouseDown),
                RTL_PUBLISH(OnMouseEnter), RTL_PUBLISH(OnMouseLeave), RTL_PUBLISH(OnMouseMove),
                RTL_PUBLISH(OnMouseUp), RTL_PUBLISH(OnStartDock), RTL_PUBLISH(OnStartDrag))
};

// ---------------------------------------------------------------------------
// The rich edit

class TCustomRichEdit;

// The rich edit's default character format (what text without a format of
// its own is shown in): the font's properties through EM_SETCHARFORMAT.
// The rich edit's window is made when it is first needed.
class TTextAttributes : public rtl::TPersistent {
  RTL_CLASS(TTextAttributes, rtl::TPersistent)

 public:
  void Create(TCustomRichEdit* ARichEdit) { FRichEdit = ARichEdit; }
  // A TFont's name, height, style, charset and colour.
  void Assign(rtl::TPersistent* ASource) override;

  String GetName();
  void SetName(const String& AValue);
  // In pixels of the screen, negative for a character height as a font's.
  int GetHeight();
  void SetHeight(int AValue);
  int GetSize();
  void SetSize(int AValue);
  TFontStyles GetStyle();
  void SetStyle(TFontStyles AValue);
  TColor GetColor();
  void SetColor(TColor AValue);
  TFontCharset GetCharset();
  void SetCharset(TFontCharset AValue);

 private:
  TCustomRichEdit* FRichEdit;
};

// The lines of a rich edit, read and changed through its window as the
// memo's are (the window breaks paragraphs with a lone CR; read back they
// end in CR LF). A text that begins with "{\rtf" is loaded as rich text
// unless the edit is PlainText; SaveToStream writes rich text (plain text
// in the stream's encoding when PlainText).
class TRichEditStrings : public rtl::TStrings {
  RTL_CLASS(TRichEditStrings, rtl::TStrings)

 public:
  void Create(TCustomRichEdit* ARichEdit) { FRichEdit = ARichEdit; }

  int GetCount() const override;
  void Clear() override;
  void Delete(int AIndex) override;
  void Insert(int AIndex, const String& S) override;
  // Rich text as the window writes it (RTF is 7-bit; AEncoding is not
  // used), or the plain text in AEncoding when PlainText. Loading needs no
  // form of its own: LoadFromStream decodes the stream and sets Text.
  void SaveToStream(rtl::TStream* AStream, rtl::TEncoding* AEncoding = nullptr);

 protected:
  String Get(int AIndex) override;
  void Put(int AIndex, const String& S) override;
  String GetTextStr() override;
  void SetTextStr(const String& AText) override;
  void SetUpdateState(bool AUpdating) override;

 private:
  HWND Window() const;

  TCustomRichEdit* FRichEdit;
};

// A rich edit window. Its rich text survives a re-creation of the window.
// EM_FORMATRANGE renders into any DC; where the platform's library only
// stubs it (Wine's answers 0 for every range), the control lays out and
// draws the plain text in the default character format itself, with the
// same answers: the first character that did not fit, and the used height
// in rc.bottom.
class TCustomRichEdit : public TCustomMemo {
  RTL_CLASS(TCustomRichEdit, TCustomMemo)
  RTL_MESSAGES(RTL_MESSAGE(EM_FORMATRANGE, EMFormatRange))

 public:
  void Create(TComponent* AOwner) override;
  void Destroy() override;

  // The rich edit's own line list (the memo's Lines of the base class is
  // hidden by it).
  TRichEditStrings* GetLines() const { return FRichLines; }
  void SetLines(rtl::TStrings* AValue);
  TTextAttributes* GetDefAttributes() const { return FDefAttributes; }
  void SetDefAttributes(TTextAttributes* AValue);
  // Lines are loaded and saved as plain text, never as rich text.
  bool GetPlainText() const { return FPlainText; }
  void SetPlainText(bool AValue) { FPlainText = AValue; }
  // The text as rich text (EM_STREAMOUT with SF_RTF).
  std::string GetRichText();
  // Replaces the content: rich text when it starts with "{\rtf" and the
  // edit is not PlainText, else plain text.
  void LoadText(const String& AText);

  // The window class this process's rich edit library registered.
  static const wchar_t* RichEditClassName();

 protected:
  void CreateParams(TCreateParams& AParams) override;
  void CreateWnd() override;
  void DestroyWnd() override;

  void EMFormatRange(TMessage& AMessage);

 private:
  // EM_FORMATRANGE over the plain text; AFormat points at a FORMATRANGE.
  LRESULT FormatPlainRange(bool ARender, LPARAM AFormat);

  TRichEditStrings* FRichLines;
  TTextAttributes* FDefAttributes;
  bool FPlainText;
  // The rich text between two windows.
  std::string FSavedRichText;
  bool FHasSavedRichText;
};

class TRichEdit : public TCustomRichEdit {
  RTL_CLASS(TRichEdit, TCustomRichEdit)
  // As the memo: Lines carries the text.
  RTL_PUBLISHED(RTL_PUBLISH(Align), RTL_PUBLISH(Anchors), RTL_PUBLISH(BiDiMode),
                RTL_PROPERTY(BorderStyle, GetBorderStyle, SetBorderStyle, RTL_DEFAULT(TFormBorderStyle::bsSingle)),
                RTL_PUBLISH(Color),
                RTL_PUBLISH(Constraints), RTL_PUBLISH(DragCursor), RTL_PUBLISH(DragKind), RTL_PUBLISH(DragMode),
                RTL_PUBLISH(Enabled), RTL_PUBLISH(Font),
                RTL_PROPERTY(HideSelection, GetHideSelection, SetHideSelection, RTL_DEFAULT(true)),
                RTL_PROPERTY(Lines, GetLines, SetLines),
                RTL_PROPERTY(MaxLength, GetMaxLength, SetMaxLength, RTL_DEFAULT(0)), RTL_PUBLISH(ParentBiDiMode),
                RTL_PUBLISH(ParentColor, RTL_DEFAULT(false)), RTL_PUBLISH(ParentFont), RTL_PUBLISH(ParentShowHint),
                RTL_PROPERTY(PlainText, GetPlainText, SetPlainText, RTL_DEFAULT(false)), RTL_PUBLISH(PopupMenu),
                RTL_PROPERTY(ReadOnly, GetReadOnly, SetReadOnly, RTL_DEFAULT(false)),
                RTL_PROPERTY(ScrollBars, GetScrollBars, SetScrollBars, RTL_DEFAULT(TScrollStyle::ssNone)),
                RTL_PUBLISH(ShowHint),
                RTL_PUBLISH(TabOrder), RTL_PUBLISH(TabStop, RTL_DEFAULT(true)), RTL_PUBLISH(Visible),
                RTL_PROPERTY(WantReturns, GetWantReturns, SetWantReturns, RTL_DEFAULT(true)),
                RTL_PROPERTY(WantTabs, GetWantTabs, SetWantTabs, RTL_DEFAULT(false)),
                RTL_PROPERTY(WordWrap, GetWordWrap, SetWordWrap, RTL_DEFAULT(true)),
                RTL_PROPERTY(OnChange, GetOnChange, SetOnChange), RTL_PUBLISH(OnClick), RTL_PUBLISH(OnContextPopup),
                RTL_PUBLISH(OnDblClick), RTL_PUBLISH(OnDragDrop), RTL_PUBLISH(OnDragOver), RTL_PUBLISH(OnEndDock),
                RTL_PUBLISH(OnEndDrag), RTL_PUBLISH(OnEnter), RTL_PUBLISH(OnExit), RTL_PUBLISH(OnKeyDown),
                RTL_PUBLISH(OnKeyPress), RTL_PUBLISH(OnKeyUp), RTL_PUBLISH(OnMouseDown), RTL_PUBLISH(OnMouseEnter),
                RTL_PUBLISH(OnMouseLeave), RTL_PUBLISH(OnMouseMove), RTL_PUBLISH(OnMouseUp),
                RTL_PUBLISH(OnStartDock), RTL_PUBLISH(OnStartDrag))
};

}  // namespace vcl
