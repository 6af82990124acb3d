// The cxListBox unit: the list box with the system's border, styles and
// scroll bars around a native list box.
//   TcxCustomListBox: the container: list-box messages passed to the inner
//     window, integral height, the data binding's key and exit checks
//   TcxInnerListBox: the native list box inside; owner drawing and clicks go
//     through its container
//   TcxListBox: chooses TcxInnerListBox and publishes the properties
#pragma once

#include <windows.h>

#include "platform/rtl/Classes.h"
#include "platform/vcl/StdCtrls.h"
#include "controls/cxContainer.h"
#include "editors/cxDataUtils.h"
#include "editors/cxEdit.h"

class TcxCanvas;
class TcxCustomListBox;
class TcxListBox;

using TcxListBoxDrawItemEvent = rtl::TMethod<void(TcxListBox* AControl, TcxCanvas* ACanvas, int AIndex,
                                                  const TRect& ARect, vcl::TOwnerDrawState AState)>;
using TcxListBoxMeasureItemEvent = rtl::TMethod<void(TcxListBox* AControl, int AIndex, int& Height)>;
RTL_TYPE_NAME(TcxListBoxDrawItemEvent)
RTL_TYPE_NAME(TcxListBoxMeasureItemEvent)

// ---------------------------------------------------------------------------
// TcxInnerListBox

// The native list box of a TcxCustomListBox. While the container's data
// binding refuses editing, a click or a left press only focuses the list.
class TcxInnerListBox : public TcxCustomInnerListBox {
  RTL_CLASS(TcxInnerListBox, TcxCustomInnerListBox)

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;

  TcxCustomListBox* GetListBox() const;
  void SetListBox(TcxCustomListBox* AValue);
  // The items' canvas as the container's owner-draw event gets it.
  TcxCanvas* GetcxCanvas() const { return FcxCanvas; }

 protected:
  void DrawItem(int AIndex, const TRect& ARect, vcl::TOwnerDrawState AState) override;
  void Click() override;
  void WndProc(rtl::TMessage& AMessage) override;

 private:
  bool CanEdit() const;
  // A left press the binding refused: focus and MouseDown, no selection.
  void RefusedLeftPress(const rtl::TMessage& AMessage);

  TcxCanvas* FcxCanvas;
};

using TcxInnerListBoxClass = rtl::ClassOf<TcxInnerListBox>;

// ---------------------------------------------------------------------------
// TcxCustomListBox

class TcxCustomListBox : public TcxCustomEditContainer {
  RTL_CLASS(TcxCustomListBox, TcxCustomEditContainer)

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;
  // The components have no action handling of their own: the binding's.
  bool ExecuteAction(vcl::TBasicAction* Action) { return FDataBinding->ExecuteAction(Action); }
  bool UpdateAction(vcl::TBasicAction* Action) { return FDataBinding->UpdateAction(Action); }

  void AddItem(const rtl::String& AItem, rtl::TObject* AObject);
  void Clear();
  void ClearSelection();
  void DeleteSelected();
  void SelectAll();
  // The selected items (with their objects) are added to ADestination;
  // MoveSelection then deletes them here.
  void CopySelection(TcxCustomListBox* ADestination);
  void MoveSelection(TcxCustomListBox* ADestination);
  // APos in the list box's coordinates; -1 (or Count without AExisting)
  // where no item is.
  int ItemAtPos(const TPoint& APos, bool AExisting);
  // In the list box's coordinates.
  TRect ItemRect(int AIndex);
  bool ItemVisible(int AIndex);

  int GetCount() const;
  int GetItemIndex();
  void SetItemIndex(int AValue);
  // The object of the selected item; writing selects the first item that
  // holds it, or none.
  rtl::TObject* GetItemObject();
  void SetItemObject(rtl::TObject* AValue);
  bool GetSelected(int AIndex);
  void SetSelected(int AIndex, bool AValue);
  int GetSelCount();
  int GetTopIndex();
  void SetTopIndex(int AValue);

  bool GetAutoComplete() const;
  void SetAutoComplete(bool AValue);
  DWORD GetAutoCompleteDelay() const;
  void SetAutoCompleteDelay(DWORD AValue);
  bool GetExtendedSelect() const;
  void SetExtendedSelect(bool AValue);
  bool GetIntegralHeight() const { return FIntegralHeight; }
  void SetIntegralHeight(bool AValue);
  int GetItemHeight();
  rtl::TStrings* GetItems() const;
  void SetItems(rtl::TStrings* AValue);
  bool GetMultiSelect() const;
  void SetMultiSelect(bool AValue);
  bool GetReadOnly() const { return FDataBinding->GetReadOnly(); }
  void SetReadOnly(bool AValue) { FDataBinding->SetReadOnly(AValue); }
  bool GetSorted() const;
  void SetSorted(bool AValue);
  // The count is written for the virtual styles only.
  void SetCount(int AValue);
  int GetColumns() const;
  void SetColumns(int AValue);
  int GetScrollWidth();
  void SetScrollWidth(int AValue);
  int GetTabWidth() const;
  void SetTabWidth(int AValue);

  TcxCustomDataBinding* GetDataBinding() const { return FDataBinding; }
  TcxCustomInnerListBox* GetInnerListBoxOf() const { return FInnerListBox; }

  // The virtual operations the list box introduces.
  virtual TcxCustomInnerListBox* CreateInnerListBox() = 0;
  virtual TcxCustomDataBindingClass GetDataBindingClass() { return TcxCustomDataBindingClass::Of<TcxCustomDataBinding>(); }
  virtual int GetFirstItemIndexForIntegralHeight() { return 0; }
  virtual rtl::String GetItemText(int AIndex) = 0;
  // The height of row AIndex as integral height counts it.
  virtual int GetItemHeightForIntegralHeight(int AIndex);
  virtual vcl::TListBoxStyle GetListStyle() const;
  // A requested height snapped down to whole rows.
  virtual void AdjustToIntegralHeight(int& AHeight);
  virtual int IndexOfItemText(const rtl::String& AText) = 0;
  virtual void InitializeInnerListBox() = 0;
  virtual void DataCheckKeyDown(WORD& AKey);
  virtual void DataCheckKeyPress(wchar_t& AKey);
  virtual void SetItemHeight(int AValue);
  virtual void SetListStyle(vcl::TListBoxStyle AValue);
  virtual void CopyTextFlags(TcxCanvas* ADestination);

 protected:
  void WndProc(rtl::TMessage& AMessage) override;
  void DoExit() override;
  void KeyDown(WORD& AKey, vcl::TShiftState AShift) override;
  void KeyPress(wchar_t& AKey) override;
  bool CanResize(int& ANewWidth, int& ANewHeight) override;
  bool IsReadOnly() override { return FDataBinding->IsControlReadOnly(); }
  void CorrectAlignRect(TRect& R) override;

  void DataChange();
  void UpdateDataValue();
  void DataSetChange() { RefreshContainerState(); }

  TcxCustomInnerListBox* FInnerListBox;

 private:
  // The height of the rows from the first, with the content margins.
  int RowsHeight(int AFirst, int AEnd);

  bool FIsExitProcessing;
  bool FIntegralHeight;
  TcxCustomDataBinding* FDataBinding;
};

// ---------------------------------------------------------------------------
// TcxListBox

class TcxListBox : public TcxCustomListBox {
  RTL_CLASS(TcxListBox, TcxCustomListBox)

 public:
  void Create(rtl::TComponent* AOwner) override;

  TcxInnerListBox* GetInnerListBox() const { return static_cast<TcxInnerListBox*>(FInnerListBox); }
  TcxListBoxDrawItemEvent GetOnDrawItem() const { return FOnDrawItem; }
  void SetOnDrawItem(TcxListBoxDrawItemEvent AValue) { FOnDrawItem = AValue; }
  TcxListBoxMeasureItemEvent GetOnMeasureItem() const { return FOnMeasureItem; }
  // A handler is reached through a forwarder on the inner list box.
  void SetOnMeasureItem(TcxListBoxMeasureItemEvent AValue);
  // The virtual styles' events, kept by the inner list box.
  vcl::TLBGetDataEvent GetOnData() const { return FInnerListBox->GetOnData(); }
  void SetOnData(vcl::TLBGetDataEvent AValue) { FInnerListBox->SetOnData(AValue); }
  vcl::TLBFindDataEvent GetOnDataFind() const { return FInnerListBox->GetOnDataFind(); }
  void SetOnDataFind(vcl::TLBFindDataEvent AValue) { FInnerListBox->SetOnDataFind(AValue); }
  vcl::TLBGetDataObjectEvent GetOnDataObject() const { return FInnerListBox->GetOnDataObject(); }
  void SetOnDataObject(vcl::TLBGetDataObjectEvent AValue) { FInnerListBox->SetOnDataObject(AValue); }

  TcxInnerListBox* CreateInnerListBox() override;
  rtl::String GetItemText(int AIndex) override;
  int IndexOfItemText(const rtl::String& AText) override;
  void InitializeInnerListBox() override;
  // OnDrawItem with the list box as the control; False when unassigned.
  virtual bool DrawItem(TcxCanvas* ACanvas, int AIndex, const TRect& ARect, vcl::TOwnerDrawState AState);
  virtual TcxInnerListBoxClass GetInnerListBoxClass() { return TcxInnerListBoxClass::Of<TcxInnerListBox>(); }

  RTL_PUBLISHED(
      RTL_PUBLISH(Anchors), RTL_PROPERTY(AutoComplete, GetAutoComplete, SetAutoComplete, RTL_DEFAULT(true)),
      RTL_PROPERTY(AutoCompleteDelay, GetAutoCompleteDelay, SetAutoCompleteDelay, RTL_DEFAULT(500)),
      RTL_PUBLISH(BiDiMode), RTL_PROPERTY(Columns, GetColumns, SetColumns, RTL_DEFAULT(0)),
      RTL_PUBLISH(Constraints), RTL_PUBLISH(DragCursor), RTL_PUBLISH(DragKind),
      RTL_PUBLISH(DragMode), RTL_PUBLISH(Enabled),
      RTL_PROPERTY(ExtendedSelect, GetExtendedSelect, SetExtendedSelect, RTL_DEFAULT(true)),
      RTL_PROPERTY(IntegralHeight, GetIntegralHeight, SetIntegralHeight, RTL_DEFAULT(false)),
      RTL_PROPERTY(ItemHeight, GetItemHeight, SetItemHeight), RTL_PROPERTY(Items, GetItems, SetItems),
      RTL_PROPERTY(ListStyle, GetListStyle, SetListStyle, RTL_DEFAULT(vcl::TListBoxStyle::lbStandard)),
      RTL_PROPERTY(MultiSelect, GetMultiSelect, SetMultiSelect, RTL_DEFAULT(false)), RTL_PUBLISH(ParentBiDiMode),
      RTL_PUBLISH(ParentColor), RTL_PUBLISH(ParentFont), RTL_PUBLISH(ParentShowHint), RTL_PUBLISH(PopupMenu),
      RTL_PROPERTY(ReadOnly, GetReadOnly, SetReadOnly, RTL_DEFAULT(false)),
      RTL_PROPERTY(ScrollWidth, GetScrollWidth, SetScrollWidth, RTL_DEFAULT(0)), RTL_PUBLISH(ShowHint),
      RTL_PROPERTY(Sorted, GetSorted, SetSorted, RTL_DEFAULT(false)), RTL_PROPERTY(Style, GetStyle, SetStyle),
      RTL_PROPERTY(StyleDisabled, GetStyleDisabled, SetStyleDisabled),
      RTL_PROPERTY(StyleFocused, GetStyleFocused, SetStyleFocused),
      RTL_PROPERTY(StyleHot, GetStyleHot, SetStyleHot), RTL_PUBLISH(TabOrder), RTL_PUBLISH(TabStop),
      RTL_PROPERTY(TabWidth, GetTabWidth, SetTabWidth, RTL_DEFAULT(0)), RTL_PUBLISH(Visible), RTL_PUBLISH(OnClick),
      RTL_PUBLISH(OnContextPopup), RTL_PROPERTY(OnData, GetOnData, SetOnData),
      RTL_PROPERTY(OnDataFind, GetOnDataFind, SetOnDataFind),
      RTL_PROPERTY(OnDataObject, GetOnDataObject, SetOnDataObject), RTL_PUBLISH(OnDblClick),
      RTL_PUBLISH(OnDragDrop), RTL_PUBLISH(OnDragOver), RTL_PROPERTY(OnDrawItem, GetOnDrawItem, SetOnDrawItem),
      RTL_PUBLISH(OnEndDock), RTL_PUBLISH(OnEndDrag), RTL_PUBLISH(OnEnter), RTL_PUBLISH(OnExit),
      RTL_PUBLISH(OnKeyDown), RTL_PUBLISH(OnKeyPress), RTL_PUBLISH(OnKeyUp),
      RTL_PROPERTY(OnMeasureItem, GetOnMeasureItem, SetOnMeasureItem), RTL_PUBLISH(OnMouseDown),
      RTL_PUBLISH(OnMouseEnter), RTL_PUBLISH(OnMouseLeave), RTL_PUBLISH(OnMouseMove), RTL_PUBLISH(OnMouseUp),
      RTL_PUBLISH(OnStartDock), RTL_PUBLISH(OnStartDrag))

 private:
  void InnerMeasureItem(vcl::TWinControl* AControl, int AIndex, int& AHeight);

  TcxListBoxDrawItemEvent FOnDrawItem;
  TcxListBoxMeasureItemEvent FOnMeasureItem;
};
