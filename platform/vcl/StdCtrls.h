// The StdCtrls unit: the framework's controls over the native EDIT, BUTTON
// and LISTBOX classes.
//   TEditCharCase, TScrollStyle, TOwnerDrawState, the item
//     events of owner-drawn lists
//   TCustomEdit, TEdit: a single-line EDIT window with its text limit lifted
//   TCustomMemo, TMemo: a multi-line EDIT window and its line list
//   TButtonControl, TCustomButton, TButton: a push button (owner draw
//     capable), default and cancel buttons
//   TCustomListBox, TListBox: a LISTBOX window, owner draw fixed or variable,
//     its items as a string list over the window
//   TCustomLabel, TLabel: a caption painted on the parent, sized to its text
#pragma once

#include <windows.h>

#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/vcl/Controls.h"

namespace vcl {

// ---------------------------------------------------------------------------
// Types

RTL_ENUM(TEditCharCase, ecNormal, ecUpperCase, ecLowerCase);
RTL_ENUM(TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth);
RTL_ENUM(TButtonStyle, bsPushButton, bsCommandLink, bsSplitButton);
RTL_ENUM(TTextLayout, tlTop, tlCenter, tlBottom);
// The virtual styles hold no items: Count says how many there are and
// OnData (OnDataObject) answers an item's text (object) when it is needed.
RTL_ENUM(TListBoxStyle, lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw);
// The ODS_* bits of an owner-drawn item, bit for bit.
RTL_ENUM(TOwnerDrawStateItem, odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight,
         odInactive, odNoAccel, odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit);
using TOwnerDrawState = rtl::TSet<TOwnerDrawStateItem>;
RTL_TYPE_NAME(TOwnerDrawState)
// The result a button gives its form when clicked (mrNone = none).
using TModalResult = int;

using TDrawItemEvent =
    rtl::TMethod<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = rtl::TMethod<void(TWinControl* Control, int Index, int& Height)>;
// A virtual list box's item text, object, and the index of a text (-1 for
// none).
using TLBGetDataEvent = rtl::TMethod<void(TWinControl* Control, int Index, String& Data)>;
using TLBGetDataObjectEvent = rtl::TMethod<void(TWinControl* Control, int Index, TObject*& DataObject)>;
using TLBFindDataEvent = rtl::TMethod<int(TWinControl* Control, const String& FindString)>;
RTL_TYPE_NAME(TLBGetDataEvent)
RTL_TYPE_NAME(TLBGetDataObjectEvent)
RTL_TYPE_NAME(TLBFindDataEvent)
RTL_TYPE_NAME(TDrawItemEvent)
RTL_TYPE_NAME(TMeasureItemEvent)

// ---------------------------------------------------------------------------
// TCustomEdit

// A native EDIT window. Its text limit is lifted to the largest the control
// takes (MaxLength 0): the platform's default limit would stop typing and
// EM_REPLACESEL (the memo's Add) at 30,000 characters.
class TCustomEdit : public TWinControl {
  RTL_CLASS(TCustomEdit, TWinControl)
  RTL_MESSAGES(RTL_MESSAGE(CN_COMMAND, CNCommand), RTL_MESSAGE(CM_ENTER, CMEnter),
               RTL_MESSAGE(CM_TEXTCHANGED, CMTextChanged))

 public:
  void Create(TComponent* AOwner) override;

  // The selection in characters; SelLength 0 is the caret alone. Without a
  // window the selection is empty.
  int GetSelStart();
  void SetSelStart(int AValue);
  int GetSelLength();
  void SetSelLength(int AValue);
  String GetSelText();
  // Replaces the selection (undoable).
  void SetSelText(const String& AValue);
  void SelectAll();
  void ClearSelection();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void Undo();
  bool GetCanUndo();
  void ClearUndo();
  // Empties the text.
  virtual void Clear();

  bool GetModified();
  void SetModified(bool AValue);
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool AValue);
  // 0 = as long as the control takes.
  int GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(int AValue);
  wchar_t GetPasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(wchar_t AValue);
  TEditCharCase GetCharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase AValue);
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool AValue);
  bool GetOEMConvert() const { return FOEMConvert; }
  void SetOEMConvert(bool AValue);
  bool GetAutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool AValue) { FAutoSelect = AValue; }
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle AValue);
  rtl::TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(rtl::TAlignment AValue);
  const String& GetTextHint() const { return FTextHint; }
  void SetTextHint(const String& AValue);

  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent AValue) { FOnChange = AValue; }

 protected:
  void CreateParams(TCreateParams& AParams) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  // OnChange; the window's EN_CHANGE comes here.
  virtual void Change();

  void CNCommand(TWMCommand& AMessage);
  void CMEnter(TMessage& AMessage);
  void CMTextChanged(TMessage& AMessage);

 private:
  // Sends the limit MaxLength stands for.
  void ApplyMaxLength();

  int FMaxLength;
  TBorderStyle FBorderStyle;
  wchar_t FPasswordChar;
  TEditCharCase FCharCase;
  rtl::TAlignment FAlignment;
  bool FReadOnly;
  bool FHideSelection;
  bool FOEMConvert;
  bool FAutoSelect;
  bool FModified;
  // The window is being made: its own EN_CHANGE of the first text is no
  // change of the user's.
  bool FCreating;
  String FTextHint;
  TNotifyEvent FOnChange;
};

class TEdit : public TCustomEdit {
  RTL_CLASS(TEdit, TCustomEdit)
  // Text, not Caption: both are the window text.
  RTL_PUBLISHED(RTL_PUBLISH(Align),
                RTL_PROPERTY(Alignment, GetAlignment, SetAlignment, RTL_DEFAULT(rtl::TAlignment::taLeftJustify)),
                RTL_PUBLISH(Anchors), RTL_PROPERTY(AutoSelect, GetAutoSelect, SetAutoSelect, RTL_DEFAULT(true)),
                RTL_PUBLISH(BiDiMode),
                RTL_PROPERTY(BorderStyle, GetBorderStyle, SetBorderStyle, RTL_DEFAULT(TFormBorderStyle::bsSingle)),
                RTL_PROPERTY(CharCase, GetCharCase, SetCharCase, RTL_DEFAULT(TEditCharCase::ecNormal)),
                RTL_PUBLISH(Color),
                RTL_PUBLISH(Constraints), RTL_PUBLISH(DoubleBuffered), RTL_PUBLISH(DragCursor),
                RTL_PUBLISH(DragKind), RTL_PUBLISH(DragMode), RTL_PUBLISH(Enabled), RTL_PUBLISH(Font),
                RTL_PROPERTY(HideSelection, GetHideSelection, SetHideSelection, RTL_DEFAULT(true)),
                RTL_PROPERTY(MaxLength, GetMaxLength, SetMaxLength, RTL_DEFAULT(0)),
                RTL_PROPERTY(OEMConvert, GetOEMConvert, SetOEMConvert, RTL_DEFAULT(false)),
                RTL_PUBLISH(ParentBiDiMode), RTL_PUBLISH(ParentColor, RTL_DEFAULT(false)), RTL_PUBLISH(ParentFont),
                RTL_PUBLISH(ParentShowHint), RTL_PUBLISH(PopupMenu),
                RTL_PROPERTY(ReadOnly, GetReadOnly, SetReadOnly, RTL_DEFAULT(false)), RTL_PUBLISH(ShowHint),
                RTL_PUBLISH(TabOrder), RTL_PUBLISH(TabStop, RTL_DEFAULT(true)), RTL_PUBLISH(Text),
                RTL_PROPERTY(TextHint, GetTextHint, SetTextHint), RTL_PUBLISH(Visible),
                RTL_PROPERTY(OnChange, GetOnChange, SetOnChange), RTL_PUBLISH(OnClick), RTL_PUBLISH(OnContextPopup),
                RTL_PUBLISH(OnDblClick), RTL_PUBLISH(OnDragDrop), RTL_PUBLISH(OnDragOver), RTL_PUBLISH(OnEndDock),
                RTL_PUBLISH(OnEndDrag), RTL_PUBLISH(OnEnter), RTL_PUBLISH(OnExit), RTL_PUBLISH(OnKeyDown),
                RTL_PUBLISH(OnKeyPress), RTL_PUBLISH(OnKeyUp), RTL_PUBLISH(OnMouseDown), RTL_PUBLISH(OnMouseEnter),
                RTL_PUBLISH(OnMouseLeave), RTL_PUBLISH(OnMouseMove), RTL_PUBLISH(OnMouseUp),
                RTL_PUBLISH(OnStartDock), RTL_PUBLISH(OnStartDrag))
};

// ---------------------------------------------------------------------------
// TCustomMemo

// A multi-line EDIT window. Lines is its line list: the window's own lines,
// read and changed through the window (see the rules at TCustomMemo::GetLines).
class TCustomMemo : public TCustomEdit {
  RTL_CLASS(TCustomMemo, TCustomEdit)
  RTL_MESSAGES(RTL_MESSAGE(WM_GETDLGCODE, WMGetDlgCode))

 public:
  void Create(TComponent* AOwner) override;
  void Destroy() override;

  // The line list, the same object for the memo's life:
  // - Count leaves out a last line that is empty, so an empty memo has no
  //   lines and a text ending in CR LF has as many lines as line breaks;
  // - a line reads back whole, however long;
  // - Add and Insert put the text and a CR LF into the window through the
  //   selection, so CR LF inside the text makes several lines;
  // - Text write makes every line break CR LF;
  // - SaveToFile writes the window text unchanged in the list's encoding
  //   (the ANSI code page, without a byte-order mark, unless loaded from a
  //   file in another).
  rtl::TStrings* GetLines() const { return FLines; }
  void SetLines(rtl::TStrings* AValue);
  // X = column, Y = line, 0-based.
  TPoint GetCaretPos();
  void SetCaretPos(const TPoint& AValue);

  TScrollStyle GetScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle AValue);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool AValue);
  bool GetWantReturns() const { return FWantReturns; }
  void SetWantReturns(bool AValue) { FWantReturns = AValue; }
  bool GetWantTabs() const { return FWantTabs; }
  void SetWantTabs(bool AValue) { FWantTabs = AValue; }

 protected:
  void CreateParams(TCreateParams& AParams) override;
  // Enter is dropped unless WantReturns.
  void KeyPress(wchar_t& AKey) override;
  void WMGetDlgCode(TWMGetDlgCode& AMessage);

 private:
  rtl::TStrings* FLines;
  TScrollStyle FScrollBars;
  bool FWordWrap;
  bool FWantReturns;
  bool FWantTabs;
};

class TMemo : public TCustomMemo {
  RTL_CLASS(TMemo, TCustomMemo)
  // Lines alone carries the text: a Caption or Text beside it would store
  // it twice.
  RTL_PUBLISHED(RTL_PUBLISH(Align),
                RTL_PROPERTY(Alignment, GetAlignment, SetAlignment, RTL_DEFAULT(rtl::TAlignment::taLeftJustify)),
                RTL_PUBLISH(Anchors), RTL_PUBLISH(BiDiMode),
                RTL_PROPERTY(BorderStyle, GetBorderStyle, SetBorderStyle, RTL_DEFAULT(TFormBorderStyle::bsSingle)),
                RTL_PROPERTY(CharCase, GetCharCase, SetCharCase, RTL_DEFAULT(TEditCharCase::ecNormal)),
                RTL_PUBLISH(Color),
                RTL_PUBLISH(Constraints), RTL_PUBLISH(DoubleBuffered), RTL_PUBLISH(DragCursor),
                RTL_PUBLISH(DragKind), RTL_PUBLISH(DragMode), RTL_PUBLISH(Enabled), RTL_PUBLISH(Font),
                RTL_PROPERTY(HideSelection, GetHideSelection, SetHideSelection, RTL_DEFAULT(true)),
                RTL_PROPERTY(Lines, GetLines, SetLines),
                RTL_PROPERTY(MaxLength, GetMaxLength, SetMaxLength, RTL_DEFAULT(0)),
                RTL_PROPERTY(OEMConvert, GetOEMConvert, SetOEMConvert, RTL_DEFAULT(false)),
                RTL_PUBLISH(ParentBiDiMode), RTL_PUBLISH(ParentColor, RTL_DEFAULT(false)), RTL_PUBLISH(ParentFont),
                RTL_PUBLISH(ParentShowHint), RTL_PUBLISH(PopupMenu),
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

// ---------------------------------------------------------------------------
// Buttons

// The base of the native buttons: word wrap of the caption, the checked
// state of the kinds that have one.
class TButtonControl : public TWinControl {
  RTL_CLASS(TButtonControl, TWinControl)

 public:
  void Create(TComponent* AOwner) override;
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool AValue);

 protected:
  void CreateParams(TCreateParams& AParams) override;
  virtual bool GetChecked() { return false; }
  virtual void SetChecked(bool /*AValue*/) {}
  // Set while the control changes its own state, so that the native
  // notification it causes is no click.
  bool GetClicksDisabled() const { return FClicksDisabled; }
  void SetClicksDisabled(bool AValue) { FClicksDisabled = AValue; }
  // An action's Checked goes to the button (only over False while the
  // action is being read); the link is a TButtonActionLink.
  void ActionChange(TObject* ASender, bool ACheckDefaults) override;
  rtl::ClassOf<TControlActionLink> GetActionLinkClass() override;

 private:
  bool FWordWrap;
  bool FClicksDisabled;

  friend class TButtonActionLink;
};

// The link of a button control: Checked is linked while the button's
// checked state equals the action's; setting it causes no click.
class TButtonActionLink : public TWinControlActionLink {
  RTL_CLASS(TButtonActionLink, TWinControlActionLink)

 public:
  bool IsCheckedLinked() override;

 protected:
  // The client must be a TButtonControl (EInvalidCast).
  void AssignClient(TObject* AClient) override;
  void SetChecked(bool AValue) override;

  TButtonControl* FButton;
};

// A native push button. BN_CLICKED (by mouse, Space or BM_CLICK) is Click.
// Enter clicks the active button (the focused one, or the default button
// while no button has the focus), Esc the cancel button. A descendant that
// adds BS_OWNERDRAW paints in its CN_DRAWITEM handler; its style is then
// never replaced by the default-button style.
class TCustomButton : public TButtonControl {
  RTL_CLASS(TCustomButton, TButtonControl)
  RTL_MESSAGES(RTL_MESSAGE(CN_COMMAND, CNCommand), RTL_MESSAGE(CM_DIALOGKEY, CMDialogKey),
               RTL_MESSAGE(CM_DIALOGCHAR, CMDialogChar), RTL_MESSAGE(CM_FOCUSCHANGED, CMFocusChanged))

 public:
  void Create(TComponent* AOwner) override;

  bool GetDefault() const { return FDefault; }
  void SetDefault(bool AValue);
  bool GetCancel() const { return FCancel; }
  void SetCancel(bool AValue) { FCancel = AValue; }
  TModalResult GetModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult AValue) { FModalResult = AValue; }
  TButtonStyle GetStyle() const { return FStyle; }
  void SetStyle(TButtonStyle AValue);
  // Shown as the default button (BS_DEFPUSHBUTTON) now.
  bool GetActive() const { return FActive; }
  // The button's ModalResult goes to its form (mrNone too), then the click.
  void Click() override;

 protected:
  void CreateParams(TCreateParams& AParams) override;
  void CreateWnd() override;
  // Shows the button as the default one or not.
  virtual void SetButtonStyle(bool ADefault);

  void CNCommand(TWMCommand& AMessage);
  void CMDialogKey(TCMDialogKey& AMessage);
  void CMDialogChar(TCMDialogChar& AMessage);
  void CMFocusChanged(TCMFocusChanged& AMessage);

 private:
  bool FDefault;
  bool FCancel;
  bool FActive;
  TModalResult FModalResult;
  TButtonStyle FStyle;
};

class TButton : public TCustomButton {
  RTL_CLASS(TButton, TCustomButton)
  RTL_PUBLISHED(RTL_PUBLISH(Action), RTL_PUBLISH(Align), RTL_PUBLISH(Anchors), RTL_PUBLISH(BiDiMode),
                RTL_PROPERTY(Cancel, GetCancel, SetCancel, RTL_DEFAULT(false)), RTL_PUBLISH(Caption),
                RTL_PUBLISH(Constraints), RTL_PROPERTY(Default, GetDefault, SetDefault, RTL_DEFAULT(false)),
                RTL_PUBLISH(DoubleBuffered), RTL_PUBLISH(DragCursor), RTL_PUBLISH(DragKind), RTL_PUBLISH(DragMode),
                RTL_PUBLISH(Enabled), RTL_PUBLISH(Font),
                RTL_PROPERTY(ModalResult, GetModalResult, SetModalResult, RTL_DEFAULT(0)),
                RTL_PUBLISH(ParentBiDiMode), RTL_PUBLISH(ParentFont), RTL_PUBLISH(ParentShowHint),
                RTL_PUBLISH(PopupMenu), RTL_PUBLISH(ShowHint),
                RTL_PROPERTY(Style, GetStyle, SetStyle, RTL_DEFAULT(TButtonStyle::bsPushButton)), RTL_PUBLISH(TabOrder),
                RTL_PUBLISH(TabStop, RTL_DEFAULT(true)), RTL_PUBLISH(Visible),
                RTL_PROPERTY(WordWrap, GetWordWrap, SetWordWrap, RTL_DEFAULT(false)), RTL_PUBLISH(OnClick),
                RTL_PUBLISH(OnContextPopup), RTL_PUBLISH(OnDragDrop), RTL_PUBLISH(OnDragOver),
                RTL_PUBLISH(OnEndDock), RTL_PUBLISH(OnEndDrag), RTL_PUBLISH(OnEnter), RTL_PUBLISH(OnExit),
                RTL_PUBLISH(OnKeyDown), RTL_PUBLISH(OnKeyPress), RTL_PUBLISH(OnKeyUp), RTL_PUBLISH(OnMouseDown),
                RTL_PUBLISH(OnMouseEnter), RTL_PUBLISH(OnMouseLeave), RTL_PUBLISH(OnMouseMove),
                RTL_PUBLISH(OnMouseUp), RTL_PUBLISH(OnStartDock), RTL_PUBLISH(OnStartDrag))
};

// ---------------------------------------------------------------------------
// TCustomListBox

// A native LISTBOX window. Items is a string list over the window; while
// there is no window the items, the item index and the top index are kept
// by the control and go into the next window.
class TCustomListBox : public TWinControl {
  RTL_CLASS(TCustomListBox, TWinControl)
  RTL_MESSAGES(RTL_MESSAGE(CN_COMMAND, CNCommand), RTL_MESSAGE(CN_DRAWITEM, CNDrawItem),
               RTL_MESSAGE(CN_MEASUREITEM, CNMeasureItem))

 public:
  void Create(TComponent* AOwner) override;
  void Destroy() override;

  // The same object for the control's life.
  rtl::TStrings* GetItems() const { return FItems; }
  void SetItems(rtl::TStrings* AValue);
  int GetCount() const;
  // Only a virtual list takes a count; the others count their items.
  void SetCount(int AValue);
  bool IsVirtual() const
  {
    return FStyle == TListBoxStyle::lbVirtual || FStyle == TListBoxStyle::lbVirtualOwnerDraw;
  }
  // The text and object of an item: from Items, or from OnData and
  // OnDataObject for a virtual list.
  String GetItemText(int AIndex);
  TObject* GetItemObject(int AIndex);
  // The first item whose text is AText (OnDataFind for a virtual list);
  // -1 for none.
  int FindItem(const String& AText);
  // The selected item (single selection) or the focused one (multiple
  // selection); -1 for none.
  int GetItemIndex();
  void SetItemIndex(int AValue);
  bool GetSelected(int AIndex);
  void SetSelected(int AIndex, bool AValue);
  int GetSelCount();
  void SelectAll();
  void ClearSelection();
  void Clear();
  int GetTopIndex();
  void SetTopIndex(int AValue);
  // The item at a client point; -1 when there is none and AExisting, else
  // the count for a point below the last item.
  int ItemAtPos(const TPoint& APos, bool AExisting);
  TRect ItemRect(int AIndex);

  TListBoxStyle GetStyle() const { return FStyle; }
  void SetStyle(TListBoxStyle AValue);
  // The height of an item of an owner-drawn list; the platform's for a
  // standard one.
  int GetItemHeight();
  void SetItemHeight(int AValue);
  bool GetMultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool AValue);
  bool GetExtendedSelect() const { return FExtendedSelect; }
  void SetExtendedSelect(bool AValue);
  bool GetSorted() const { return FSorted; }
  void SetSorted(bool AValue);
  bool GetIntegralHeight() const { return FIntegralHeight; }
  void SetIntegralHeight(bool AValue);
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle AValue);
  // Above 0 the items snake through columns of the client width divided by
  // Columns, scrolling horizontally.
  int GetColumns() const { return FColumns; }
  void SetColumns(int AValue);
  // The width the items scroll through horizontally; 0 for none.
  int GetScrollWidth();
  void SetScrollWidth(int AValue);
  // Tab stops in dialog units; 0 expands no tabs.
  int GetTabWidth() const { return FTabWidth; }
  void SetTabWidth(int AValue);
  TCanvas* GetCanvas() const { return FCanvas; }

  TLBGetDataEvent GetOnData() const { return FOnData; }
  void SetOnData(TLBGetDataEvent AValue) { FOnData = AValue; }
  TLBGetDataObjectEvent GetOnDataObject() const { return FOnDataObject; }
  void SetOnDataObject(TLBGetDataObjectEvent AValue) { FOnDataObject = AValue; }
  TLBFindDataEvent GetOnDataFind() const { return FOnDataFind; }
  void SetOnDataFind(TLBFindDataEvent AValue) { FOnDataFind = AValue; }
  TDrawItemEvent GetOnDrawItem() const { return FOnDrawItem; }
  void SetOnDrawItem(TDrawItemEvent AValue) { FOnDrawItem = AValue; }
  TMeasureItemEvent GetOnMeasureItem() const { return FOnMeasureItem; }
  void SetOnMeasureItem(TMeasureItemEvent AValue) { FOnMeasureItem = AValue; }

 protected:
  void CreateParams(TCreateParams& AParams) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Resize() override;
  // OnDrawItem, else the item's text on the canvas's brush.
  virtual void DrawItem(int AIndex, const TRect& ARect, TOwnerDrawState AState);
  // OnMeasureItem for a variable owner-drawn list.
  virtual void MeasureItem(int AIndex, int& AHeight);

  void CNCommand(TWMCommand& AMessage);
  void CNDrawItem(TWMDrawItem& AMessage);
  void CNMeasureItem(TWMMeasureItem& AMessage);

 private:
  struct TSavedItem {
    String Text;
    TObject* Object;
  };

  rtl::TStrings* FItems;
  TControlCanvas* FCanvas;
  TListBoxStyle FStyle;
  TBorderStyle FBorderStyle;
  int FItemHeight;
  bool FMultiSelect;
  bool FExtendedSelect;
  bool FSorted;
  bool FIntegralHeight;
  int FColumns;
  int FScrollWidth;
  int FTabWidth;
  // What the control keeps while it has no window.
  std::vector<TSavedItem> FSaveItems;
  int FSaveCount;
  int FSaveItemIndex;
  int FSaveTopIndex;
  TDrawItemEvent FOnDrawItem;
  TMeasureItemEvent FOnMeasureItem;
  TLBGetDataEvent FOnData;
  TLBGetDataObjectEvent FOnDataObject;
  TLBFindDataEvent FOnDataFind;

  void ApplyColumnWidth();

  friend class TListBoxStrings;
};

class TListBox : public TCustomListBox {
  RTL_CLASS(TListBox, TCustomListBox)
  RTL_PUBLISHED(RTL_PUBLISH(Align), RTL_PUBLISH(Anchors), RTL_PUBLISH(BiDiMode),
                RTL_PROPERTY(BorderStyle, GetBorderStyle, SetBorderStyle, RTL_DEFAULT(TFormBorderStyle::bsSingle)),
                RTL_PUBLISH(Color), RTL_PROPERTY(Columns, GetColumns, SetColumns, RTL_DEFAULT(0)),
                RTL_PUBLISH(Constraints), RTL_PUBLISH(DoubleBuffered), RTL_PUBLISH(DragCursor),
                RTL_PUBLISH(DragKind), RTL_PUBLISH(DragMode), RTL_PUBLISH(Enabled),
                RTL_PROPERTY(ExtendedSelect, GetExtendedSelect, SetExtendedSelect, RTL_DEFAULT(true)),
                RTL_PUBLISH(Font),
                RTL_PROPERTY(IntegralHeight, GetIntegralHeight, SetIntegralHeight, RTL_DEFAULT(false)),
                RTL_PROPERTY(ItemHeight, GetItemHeight, SetItemHeight),
                RTL_PROPERTY(Items, GetItems, SetItems),
                RTL_PROPERTY(MultiSelect, GetMultiSelect, SetMultiSelect, RTL_DEFAULT(false)),
                RTL_PUBLISH(ParentBiDiMode), RTL_PUBLISH(ParentColor, RTL_DEFAULT(false)), RTL_PUBLISH(ParentFont),
                RTL_PUBLISH(ParentShowHint), RTL_PUBLISH(PopupMenu),
                RTL_PROPERTY(ScrollWidth, GetScrollWidth, SetScrollWidth, RTL_DEFAULT(0)), RTL_PUBLISH(ShowHint),
                RTL_PROPERTY(Sorted, GetSorted, SetSorted, RTL_DEFAULT(false)),
                RTL_PROPERTY(Style, GetStyle, SetStyle, RTL_DEFAULT(TListBoxStyle::lbStandard)), RTL_PUBLISH(TabOrder),
                RTL_PUBLISH(TabStop, RTL_DEFAULT(true)), RTL_PROPERTY(TabWidth, GetTabWidth, SetTabWidth, RTL_DEFAULT(0)),
                RTL_PUBLISH(Visible), RTL_PUBLISH(OnClick),
                RTL_PUBLISH(OnContextPopup), RTL_PROPERTY(OnData, GetOnData, SetOnData),
                RTL_PROPERTY(OnDataFind, GetOnDataFind, SetOnDataFind),
                RTL_PROPERTY(OnDataObject, GetOnDataObject, SetOnDataObject), RTL_PUBLISH(OnDblClick), RTL_PUBLISH(OnDragDrop),
                RTL_PUBLISH(OnDragOver), RTL_PROPERTY(OnDrawItem, GetOnDrawItem, SetOnDrawItem),
                RTL_PUBLISH(OnEndDock), RTL_PUBLISH(OnEndDrag), RTL_PUBLISH(OnEnter), RTL_PUBLISH(OnExit),
                RTL_PUBLISH(OnKeyDown), RTL_PUBLISH(OnKeyPress), RTL_PUBLISH(OnKeyUp),
                RTL_PROPERTY(OnMeasureItem, GetOnMeasureItem, SetOnMeasureItem), RTL_PUBLISH(OnMouseDown),
                RTL_PUBLISH(OnMouseEnter), RTL_PUBLISH(OnMouseLeave), RTL_PUBLISH(OnMouseMove),
                RTL_PUBLISH(OnMouseUp), RTL_PUBLISH(OnStartDock), RTL_PUBLISH(OnStartDrag))
};

// ---------------------------------------------------------------------------
// TCustomLabel

// A caption without a window, painted on its parent. With AutoSize it takes
// the size of its text (keeping its right edge when right-aligned); the
// caption's accelerator focuses FocusControl.
class TCustomLabel : public TGraphicControl {
  RTL_CLASS(TCustomLabel, TGraphicControl)
  RTL_MESSAGES(RTL_MESSAGE(CM_TEXTCHANGED, CMTextChanged), RTL_MESSAGE(CM_FONTCHANGED, CMFontChanged),
               RTL_MESSAGE(CM_DIALOGCHAR, CMDialogChar))

 public:
  void Create(TComponent* AOwner) override;

  rtl::TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(rtl::TAlignment AValue);
  TTextLayout GetLayout() const { return FLayout; }
  void SetLayout(TTextLayout AValue);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool AValue);
  // A transparent label paints its text alone, over what is behind it.
  bool GetTransparent() const { return !FControlStyle.Contains(TControlStyleItem::csOpaque); }
  void SetTransparent(bool AValue);
  bool GetShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool AValue);
  TWinControl* GetFocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* AValue);
  void SetAutoSize(bool AValue) override;

 protected:
  void Paint() override;
  void Notification(TComponent* AComponent, rtl::TOperation AOperation) override;
  void Loaded() override;
  // The size of the text when AutoSize.
  virtual void AdjustBounds();
  // DrawText of the caption into ARect with AFlags (DT_CALCRECT measures),
  // in the font, greyed when disabled.
  virtual void DoDrawText(HDC ADC, TRect& ARect, UINT AFlags);

  void CMTextChanged(TMessage& AMessage);
  void CMFontChanged(TMessage& AMessage);
  void CMDialogChar(TCMDialogChar& AMessage);

 private:
  rtl::TAlignment FAlignment;
  TTextLayout FLayout;
  bool FWordWrap;
  bool FShowAccelChar;
  TWinControl* FFocusControl;
};

class TLabel : public TCustomLabel {
  RTL_CLASS(TLabel, TCustomLabel)
  RTL_PUBLISHED(RTL_PUBLISH(Align),
                RTL_PROPERTY(Alignment, GetAlignment, SetAlignment, RTL_DEFAULT(rtl::TAlignment::taLeftJustify)),
                RTL_PUBLISH(Anchors), RTL_PROPERTY(AutoSize, GetAutoSize, SetAutoSize, RTL_DEFAULT(true)),
                RTL_PUBLISH(BiDiMode), RTL_PUBLISH(Caption), RTL_PUBLISH(Color), RTL_PUBLISH(Constraints),
                RTL_PUBLISH(DragCursor), RTL_PUBLISH(DragKind), RTL_PUBLISH(DragMode), RTL_PUBLISH(Enabled),
                RTL_PROPERTY(FocusControl, GetFocusControl, SetFocusControl), RTL_PUBLISH(Font),
                RTL_PROPERTY(Layout, GetLayout, SetLayout, RTL_DEFAULT(TTextLayout::tlTop)),
                RTL_PUBLISH(ParentBiDiMode),
                RTL_PUBLISH(ParentColor), RTL_PUBLISH(ParentFont), RTL_PUBLISH(ParentShowHint),
                RTL_PUBLISH(PopupMenu),
                RTL_PROPERTY(ShowAccelChar, GetShowAccelChar, SetShowAccelChar, RTL_DEFAULT(true)),
                RTL_PUBLISH(ShowHint), RTL_PROPERTY(Transparent, GetTransparent, SetTransparent, RTL_DEFAULT(false)),
                RTL_PUBLISH(Visible), RTL_PROPERTY(WordWrap, GetWordWrap, SetWordWrap, RTL_DEFAULT(false)),
                RTL_PUBLISH(OnClick), RTL_PUBLISH(OnContextPopup), RTL_PUBLISH(OnDblClick), RTL_PUBLISH(OnDragDrop),
                RTL_PUBLISH(OnDragOver), RTL_PUBLISH(OnEndDock), RTL_PUBLISH(OnEndDrag), RTL_PUBLISH(OnMouseDown),
                RTL_PUBLISH(OnMouseEnter), RTL_PUBLISH(OnMouseLeave), RTL_PUBLISH(OnMouseMove),
                RTL_PUBLISH(OnMouseUp), RTL_PUBLISH(OnStartDock), RTL_PUBLISH(OnStartDrag))
};

}  // namespace vcl
