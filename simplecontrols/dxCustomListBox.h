// The dxCustomListBox unit: a list box the system draws itself on a
// TcxControl, without a native window for the items.
//   TdxCustomListBoxItem, TdxCustomListBoxItems: captions with an image, an
//     attached object and a separator line below; kept sorted on request
//   TdxCustomListBox: one column or several snaking columns, a selected and
//     a hot item, keyboard navigation, incremental search by typing, and
//     drawing through the look-and-feel painter
// The unit registers TdxCustomListBox for streaming.
#pragma once

#include <windows.h>

#include "platform/rtl/Classes.h"
#include "core/cxClasses.h"
#include "controls/cxControls.h"
#include "controls/cxHint.h"

namespace vcl {
class TChangeLink;
class TCustomImageList;
}  // namespace vcl

RTL_DECLARE_UNIT(dxCustomListBox);

class TdxCustomListBox;
class TdxCustomListBoxItems;

RTL_ENUM(TdxCustomListBoxSortOption, lbsAnsiSort, lbsCaseInsensitive);
using TdxCustomListBoxSortOptions = rtl::TSet<TdxCustomListBoxSortOption>;
RTL_TYPE_NAME(TdxCustomListBoxSortOptions)

// ---------------------------------------------------------------------------
// TdxCustomListBoxItem

class TdxCustomListBoxItem : public rtl::TObject {
  RTL_CLASS(TdxCustomListBoxItem, rtl::TObject)

 public:
  virtual void Create(TdxCustomListBoxItems* AOwner);
  // Caption, data, image index and separator flag of another item.
  virtual void Assign(rtl::TObject* Source);

  const rtl::String& GetCaption() const { return FCaption; }
  void SetCaption(const rtl::String& AValue);
  rtl::TObject* GetData() const { return FData; }
  void SetData(rtl::TObject* AValue) { FData = AValue; }
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int AValue);
  bool GetHasSeparator() const { return FHasSeparator; }
  void SetHasSeparator(bool AValue);
  // The place in the owner; -1 without one.
  int GetIndex() const;
  TdxCustomListBoxItems* GetOwner() const { return FOwner; }

 private:
  void Changed();

  rtl::String FCaption;
  rtl::TObject* FData;
  int FImageIndex;
  bool FHasSeparator;
  TdxCustomListBoxItems* FOwner;

  friend class TdxCustomListBoxItems;
};

using TdxCustomListBoxItemClass = rtl::ClassOf<TdxCustomListBoxItem>;

// ---------------------------------------------------------------------------
// TdxCustomListBoxItems

// The items, owned. Every change lays the control out again unless locked.
class TdxCustomListBoxItems : public TcxObjectList {
  RTL_CLASS(TdxCustomListBoxItems, TcxObjectList)

 public:
  virtual void Create(TdxCustomListBox* AOwnerControl);

  // Inserted where the order keeps when Sorted, else at the end.
  TdxCustomListBoxItem* Add(const rtl::String& ACaption, int AImageIndex = -1, rtl::TObject* AData = nullptr,
                            bool AHasSeparator = false);
  TdxCustomListBoxItem* AddObject(const rtl::String& ACaption, rtl::TObject* AData);
  // Sets the separator of the last item; nil when there is none.
  TdxCustomListBoxItem* AddSeparator();
  TdxCustomListBoxItem* Insert(int AIndex, const rtl::String& ACaption, int AImageIndex = -1,
                               rtl::TObject* AData = nullptr, bool AHasSeparator = false);
  int IndexOfCaption(const rtl::String& ACaption, bool ACaseSensitive = true) const;
  int IndexOfObject(rtl::TObject* AObject) const;
  bool IsValidIndex(int AIndex) const { return AIndex >= 0 && AIndex < GetCount(); }
  // Clears and adds every string with its object, inside one update.
  void LoadFromStrings(rtl::TStrings* AStrings);
  TdxCustomListBoxItem* GetItem(int AIndex) const { return static_cast<TdxCustomListBoxItem*>(inherited::GetItem(AIndex)); }

  void BeginUpdate() { ++FLockCount; }
  void CancelUpdate() { --FLockCount; }
  void EndUpdate();
  bool IsLocked() const { return FLockCount > 0; }

  bool GetSorted() const { return FSorted; }
  void SetSorted(bool AValue);
  TdxCustomListBoxSortOptions GetSortOptions() const { return FSortOptions; }
  void SetSortOptions(TdxCustomListBoxSortOptions AValue);

  virtual void Changed();
  virtual void Sort();
  virtual TdxCustomListBoxItemClass GetItemClass();

 protected:
  void Notify(void* APtr, rtl::TListNotification AAction) override;

 private:
  int SortedInsertPosition(const rtl::String& ACaption) const;

  int FLockCount;
  TdxCustomListBox* FOwnerControl;
  bool FSorted;
  TdxCustomListBoxSortOptions FSortOptions;
};

using TdxCustomListBoxItemsClass = rtl::ClassOf<TdxCustomListBoxItems>;

// ---------------------------------------------------------------------------
// TdxCustomListBoxHintHelper

// Shows the whole caption of an item that its row cuts.
class TdxCustomListBoxHintHelper : public TcxControlHintHelper {
  RTL_CLASS(TdxCustomListBoxHintHelper, TcxControlHintHelper)

 public:
  void Create(TdxCustomListBox* AOwnerControl);

 protected:
  TcxControl* GetControl() override;

 private:
  TdxCustomListBox* FOwnerControl;
};

// ---------------------------------------------------------------------------
// TdxCustomListBox

class TdxCustomListBox : public TcxControl {
  RTL_CLASS(TdxCustomListBox, TcxControl)

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;

  int Add(const rtl::String& ACaption, int AImageIndex = -1) { return AddItem(ACaption, nullptr, AImageIndex); }
  int AddItem(const rtl::String& ACaption, rtl::TObject* AObject, int AImageIndex = -1);
  // Frees the item whose object is AObject; its former index or -1.
  int Remove(rtl::TObject* AObject);
  void Clear();
  void BeginUpdate() { FItems->BeginUpdate(); }
  void EndUpdate() { FItems->EndUpdate(); }

  // The item's rectangle; empty at the items area's top for an index above
  // the top index.
  TRect ItemRect(int AIndex);
  void MakeVisible(int AIndex);
  void LayoutChanged();

  // The size that shows the widest caption and AMaxVisibleItemsCount rows.
  virtual TSize CalculateContentSize(int AMaxVisibleItemsCount);
  virtual int CalculateItemHeight();
  // -1 outside the items area; between or below the rows, ItemIndex with
  // AExistOnly, else Count.
  virtual int ItemAtPos(const TPoint& APoint, bool AExistOnly);

  int GetCount() const { return FItems->GetCount(); }
  TdxCustomListBoxItems* GetItems() const { return FItems; }
  int GetItemIndex() const { return FItemIndex; }
  virtual void SetItemIndex(int AValue);
  rtl::TObject* GetItemObject() const;
  void SetItemObject(rtl::TObject* AValue);
  int GetHotIndex() const { return FHotIndex; }
  bool GetSorted() const { return FItems->GetSorted(); }
  void SetSorted(bool AValue) { FItems->SetSorted(AValue); }
  int GetTopIndex() const { return FTopIndex; }
  void SetTopIndex(int AValue);
  int GetColumns() const { return FColumns; }
  void SetColumns(int AValue);
  vcl::TCustomImageList* GetImages() const { return FImages; }
  void SetImages(vcl::TCustomImageList* AValue);
  int GetItemHeight() const { return FItemHeight; }
  void SetItemHeight(int AValue);
  bool GetItemAutoHeight() const { return FItemAutoHeight; }
  void SetItemAutoHeight(bool AValue);
  bool GetIncrementalSearch() const { return FIncrementalSearch; }
  void SetIncrementalSearch(bool AValue) { FIncrementalSearch = AValue; }
  DWORD GetAutoCompleteDelay() const { return FAutoCompleteDelay; }
  void SetAutoCompleteDelay(DWORD AValue) { FAutoCompleteDelay = AValue; }
  bool GetLoopedNavigation() const { return FLoopedNavigation; }
  void SetLoopedNavigation(bool AValue) { FLoopedNavigation = AValue; }
  const rtl::String& GetSearchText() const { return FSearchText; }
  int GetColumnWidth() const { return FColumnWidth; }
  TdxCustomListBoxHintHelper* GetHintHelper() const { return FHintHelper; }
  // Rows in one column (1 without columns) and the rows shown at once.
  int GetRowsPerColumn();
  int GetVisibleCount();

  // The clock of the incremental search; tests set their own.
  using TTickSource = DWORD(WINAPI*)();
  void SetTickSource(TTickSource AValue) { FTickSource = AValue ? AValue : &::GetTickCount; }

 protected:
  virtual void PrepareItemFont(int /*AIndex*/) {}
  virtual bool CanSelectItem(int /*AIndex*/) { return true; }
  virtual bool CanHotTrack();
  // A caption wider than its text rectangle needs a hint: its text, the
  // item's rectangle and the text rectangle.
  virtual bool NeedHint(int AIndex, rtl::String& AHintText, TRect& AItemRect, TRect& ATextRect);
  virtual void CheckItemIndex();
  virtual void CheckTopIndex();
  virtual void Calculate();
  virtual int FindSelectableIndex(int AIndex, bool AForward, bool ALooped);
  virtual void SelectItem(int AIndex);
  virtual bool ItemHasSeparator(int AIndex);
  virtual int GetImagesAreaWidth();
  virtual TdxCustomListBoxItemsClass GetItemsClass();
  virtual bool IsSearchKey(wchar_t AKey) { return AKey > 31; }
  virtual int MeasureItem(int AIndex);
  virtual bool DrawPartiallyVisibleItems() { return false; }
  virtual bool HighlightHotItem() { return false; }
  virtual TRect GetContentMargins();
  virtual TSize GetImageSize();
  virtual vcl::TColor GetBackgroundColor();
  virtual TRect GetItemsArea();
  virtual TRect GetTextMargins() { return TRect{2, 2, 2, 2}; }
  virtual unsigned GetTextFlags();
  virtual vcl::TColor GetTextColor(TcxButtonState AState);
  virtual void DrawBackground();
  virtual void DrawItem(int AIndex, const TRect& ARect, TcxButtonState AState);
  virtual void DrawItems();
  virtual void ResetSearchText() { FSearchText.clear(); }
  virtual bool DoIncrementalSearch(wchar_t AKey);
  virtual bool IsCaptionMatch(const rtl::String& ACaption, const rtl::String& ASearchText);

  void DoPaint() override;
  void BoundsChanged() override;
  void FontChanged() override;
  void KeyDown(WORD& AKey, vcl::TShiftState AShift) override;
  void KeyPress(wchar_t& AKey) override;
  void MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y) override;
  void MouseMove(vcl::TShiftState AShift, int X, int Y) override;
  void MouseLeave(vcl::TControl* AControl) override;
  void Scroll(TScrollBarKind AScrollBarKind, TScrollCode AScrollCode, int& AScrollPos) override;
  void InitScrollBarsParameters() override;
  bool IsGestureClient() { return false; }
  void Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation) override;

 private:
  int RowHeight(int AIndex);
  int MaxTopIndex();
  // The item part and the separator strip of an item rectangle.
  void SplitItemRect(int AIndex, const TRect& ARect, TRect& AItemRect, TRect& ASeparatorRect);
  // The parts an item is drawn in, mirrored within the item part for
  // right-to-left alignment.
  struct TItemParts {
    TRect Item, Background, Image, Text, Separator;
  };
  TItemParts GetItemParts(int AIndex, const TRect& ARect);
  void UpdateHint();
  TRect ItemPartRect(int AIndex);
  void InvalidateItem(int AIndex);
  void SetHotIndex(int AIndex);
  void UpdateHotIndex();
  void MoveSelection(int ADelta);
  void ImageListChange(rtl::TObject* Sender);

  DWORD FAutoCompleteDelay;
  vcl::TChangeLink* FChangeLink;
  int FColumns;
  int FColumnWidth;
  TdxCustomListBoxHintHelper* FHintHelper;
  int FHotIndex;
  vcl::TCustomImageList* FImages;
  bool FIncrementalSearch;
  bool FItemAutoHeight;
  int FItemHeight;
  int FItemIndex;
  TdxCustomListBoxItems* FItems;
  bool FLoopedNavigation;
  rtl::String FSearchText;
  int FTopIndex;
  DWORD FStartIncrementalSearch;
  TTickSource FTickSource;
};
