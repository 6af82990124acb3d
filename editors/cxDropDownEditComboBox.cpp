// The combo box: a drop-down editor whose popup lists its items, sized to
// whole rows, drawn and measured through events when they have handlers.
#include <algorithm>

#include "editors/cxDropDownEdit.h"
#include "editors/cxVariants.h"
#include "graphics/cxGraphics.h"

namespace {

// A zero limit means no limit.
int LimitOrUnbounded(int AValue)
{
  return AValue == 0 ? 32000 : AValue;
}

int ListHeight(TcxCustomEditListBox* AList)
{
  const TRect bounds = AList->GetBoundsRect();
  return bounds.bottom - bounds.top;
}

}  // namespace

// ---------------------------------------------------------------------------
// TcxCustomComboBoxProperties

void TcxCustomComboBoxProperties::Create(rtl::TPersistent* AOwner)
{
  inherited::Create(AOwner);
  FDropDownListStyle = TcxEditDropDownListStyle::lsEditList;
  FDropDownRows = 8;
  FItemHeight = 0;
  FRevertable = false;
}

TcxEditEditingStyle TcxCustomComboBoxProperties::GetEditingStyle()
{
  switch (FDropDownListStyle) {
    case TcxEditDropDownListStyle::lsEditFixedList:
      return TcxEditEditingStyle::esEditList;
    case TcxEditDropDownListStyle::lsFixedList:
      return TcxEditEditingStyle::esFixedList;
    default:
      return TcxEditEditingStyle::esEdit;
  }
}

rtl::ClassOf<TcxCustomTextEditLookupData> TcxCustomComboBoxProperties::GetLookupDataClass()
{
  return rtl::ClassOf<TcxCustomTextEditLookupData>::Of<TcxComboBoxLookupData>();
}

TcxCustomEditPopupWindowClass TcxCustomComboBoxProperties::GetPopupWindowClass()
{
  return TcxCustomEditPopupWindowClass::Of<TcxComboBoxPopupWindow>();
}

TcxCustomEditClass TcxCustomComboBoxProperties::GetContainerClass()
{
  return TcxCustomEditClass::Of<TcxComboBox>();
}

void TcxCustomComboBoxProperties::SetDropDownListStyle(TcxEditDropDownListStyle AValue)
{
  if (FDropDownListStyle == AValue)
    return;
  FDropDownListStyle = AValue;
  Changed();
}

void TcxCustomComboBoxProperties::SetDropDownRows(int AValue)
{
  if (AValue > 0)
    FDropDownRows = AValue;
}

void TcxCustomComboBoxProperties::SetItemHeight(int AValue)
{
  if (FItemHeight == AValue)
    return;
  FItemHeight = AValue;
  Changed();
}

void TcxCustomComboBoxProperties::ScaleButtons(int M, int D)
{
  inherited::ScaleButtons(M, D);
  FItemHeight = MulDiv(FItemHeight, M, D);
}

void TcxCustomComboBoxProperties::AssignFrom(TcxCustomEditProperties* ASource)
{
  BeginUpdate();
  rtl::Finally done([this] { EndUpdate(); });
  inherited::AssignFrom(ASource);
  auto* source = rtl::Is<TcxCustomComboBoxProperties>(ASource) ? static_cast<TcxCustomComboBoxProperties*>(ASource) : nullptr;
  if (!source)
    return;
  SetDropDownListStyle(source->FDropDownListStyle);
  FDropDownRows = source->FDropDownRows;
  SetItemHeight(GetScaleFactor()->Apply(source->FItemHeight, source->GetScaleFactor()));
  FRevertable = source->FRevertable;
  FOnDrawItem = source->FOnDrawItem;
  FOnMeasureItem = source->FOnMeasureItem;
}

// ---------------------------------------------------------------------------
// TcxCustomComboBoxListBox

TcxCustomComboBoxProperties* TcxCustomComboBoxListBox::ComboProperties() const
{
  TcxCustomTextEditLookupData* lookup = GetLookupData();
  TcxCustomTextEdit* edit = lookup ? lookup->GetEdit() : nullptr;
  return edit ? rtl::As<TcxCustomComboBoxProperties>(edit->GetActiveProperties()) : nullptr;
}

int TcxCustomComboBoxListBox::GetItemHeight(int AIndex)
{
  TcxCustomComboBoxProperties* properties = ComboProperties();
  int height = properties && properties->GetItemHeight() > 0
                   ? GetScaleFactor()->Apply(properties->GetItemHeight(), properties->GetScaleFactor())
                   : inherited::GetItemHeight(-1);
  if (AIndex >= 0)
    if (auto* edit = rtl::As<TcxCustomComboBox>(GetLookupData() ? GetLookupData()->GetEdit() : nullptr))
      edit->DoMeasureItem(GetLookupData()->ShownToItem(AIndex), GetCanvas(), height);
  return height;
}

void TcxCustomComboBoxListBox::MeasureItem(int AIndex, int& AHeight)
{
  AHeight = GetItemHeight(AIndex);
}

void TcxCustomComboBoxListBox::ItemsChanged()
{
  SetItemHeight(GetItemHeight(-1));
  TcxCustomComboBoxProperties* properties = ComboProperties();
  const bool measured = properties && properties->GetOnMeasureItem();
  SetStyle(measured ? vcl::TListBoxStyle::lbOwnerDrawVariable : vcl::TListBoxStyle::lbOwnerDrawFixed);
}

bool TcxCustomComboBoxListBox::DrawItemCustom(int AIndex, const TRect& ARect, vcl::TOwnerDrawState AState)
{
  auto* edit = rtl::As<TcxCustomComboBox>(GetLookupData() ? GetLookupData()->GetEdit() : nullptr);
  return edit && edit->DoDrawItem(GetCanvas(), GetLookupData()->ShownToItem(AIndex), ARect, AState);
}

rtl::String TcxCustomComboBoxListBox::GetListItemText(int AIndex)
{
  return GetLookupData() ? GetLookupData()->GetItemText(GetLookupData()->ShownToItem(AIndex))
                         : inherited::GetListItemText(AIndex);
}

void TcxCustomComboBoxListBox::CreateParams(vcl::TCreateParams& AParams)
{
  inherited::CreateParams(AParams);
  TcxCustomComboBoxProperties* properties = ComboProperties();
  if (properties && properties->GetOnDrawItem())
    AParams.WindowClass.style |= CS_HREDRAW;
}

void TcxCustomComboBoxListBox::MouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  inherited::MouseUp(AButton, AShift, X, Y);
  if (AButton != vcl::TMouseButton::mbLeft)
    return;
  const int index = ItemAtPos({X, Y}, true);
  TcxCustomTextEditLookupData* lookup = GetLookupData();
  auto* edit = rtl::As<TcxCustomDropDownEdit>(lookup ? lookup->GetEdit() : nullptr);
  if (index == -1 || !edit)
    return;
  if (GetCapture() == GetHandle())
    ReleaseCapture();
  SetItemIndex(index);
  edit->CloseUp(TcxEditCloseUpReason::crEnter);
}

// ---------------------------------------------------------------------------
// TcxComboBoxLookupData

TcxCustomEditListBoxClass TcxComboBoxLookupData::GetListBoxClass()
{
  return TcxCustomEditListBoxClass::Of<TcxComboBoxListBox>();
}

void TcxComboBoxLookupData::CreateVisualControls(vcl::TWinControl* AParent)
{
  inherited::CreateVisualControls(AParent);
  // The list looks like the editor that opened it: the values the style's
  // copy took from the editor give way to the popup controls' look and
  // feel, which also knows the native style the editor really draws in.
  auto* edit = rtl::As<TcxCustomDropDownEdit>(GetEdit());
  if (!edit || !GetListContainer())
    return;
  TcxLookAndFeel* lookAndFeel = GetListContainer()->GetStyle()->GetLookAndFeel();
  lookAndFeel->BeginUpdate();
  rtl::Finally done([lookAndFeel] { lookAndFeel->EndUpdate(); });
  lookAndFeel->SetAssignedValues({});
  lookAndFeel->SetMasterLookAndFeel(edit->GetPopupControlsLookAndFeel());
}

bool TcxComboBoxLookupData::IsPopupVisible()
{
  if (inherited::IsPopupVisible())
    return true;
  auto* edit = rtl::As<TcxCustomDropDownEdit>(GetEdit());
  return edit && edit->IsPopupShowPending();
}

TSize __stdcall TcxComboBoxLookupData::GetVisualAreaPreferredSize(int AMaxHeight, int AWidth)
{
  TcxCustomEditListBox* list = GetList();
  auto* properties = rtl::As<TcxCustomComboBoxProperties>(ActiveProperties());
  if (!list || !properties)
    return TSize{0, 0};
  const int shown = GetDisplayItemCount();
  const int rows = std::min<int>(properties->GetDropDownRows(), shown);
  int height = 0;
  for (int i = 0; i < rows; ++i)
    height += list->GetItemHeight(i);
  int width = 0;
  for (int i = 0; i < shown; ++i)
    width = std::max<int>(width, list->GetItemWidth(i));
  width += 4;
  if (list->HandleAllocated())
    list->Perform(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(width), 0);
  const TdxScaleFactor* scale = list->GetScaleFactor();
  if (shown > properties->GetDropDownRows() || (AMaxHeight > 0 && height > AMaxHeight))
    width += dxGetScaledSystemMetrics(SM_CXVSCROLL, scale);
  if (AWidth > 0 && AWidth < width)
    height += dxGetScaledSystemMetrics(SM_CYHSCROLL, scale);
  return TSize{width, height};
}

// The list keeps whole rows: growing stops before a row that does not fit,
// shrinking keeps the row that is partly covered.
bool __stdcall TcxComboBoxLookupData::CanResizeVisualArea(TSize& NewSize, int AMaxHeight, int AMaxWidth)
{
  TcxCustomEditListBox* list = GetList();
  if (!list)
    return true;
  if (NewSize.cx == list->GetWidth() && NewSize.cy == ListHeight(list))
    return true;
  const int maxHeight = LimitOrUnbounded(AMaxHeight);
  const int maxWidth = LimitOrUnbounded(AMaxWidth);
  const TdxScaleFactor* scale = list->GetScaleFactor();
  const int V = dxGetScaledSystemMetrics(SM_CXVSCROLL, scale);
  const int H = dxGetScaledSystemMetrics(SM_CYHSCROLL, scale);
  const int scrollWidth =
      list->HandleAllocated() ? static_cast<int>(list->Perform(LB_GETHORIZONTALEXTENT, 0, 0)) : 0;
  const int asked = NewSize.cy;
  const int shown = GetDisplayItemCount();
  const bool growing = asked >= ListHeight(list);
  // The height of the first ARows rows with the horizontal bar they need.
  auto candidate = [&](int ARows, bool& AHasHorzBar) {
    int S = 0;
    for (int i = 0; i < ARows; ++i)
      S += list->GetItemHeight(i);
    const int W = NewSize.cx - (ARows < shown ? V : 0);
    AHasHorzBar = scrollWidth > W || W > maxWidth;
    return S + (AHasHorzBar ? H : 0);
  };
  int rows = 0;
  bool hasHorzBar = false;
  int C = candidate(0, hasHorzBar);
  for (int i = 0; i < shown; ++i) {
    bool horz = false;
    const int next = candidate(i + 1, horz);
    if (next == asked && next <= maxHeight) {
      rows = i + 1;
      C = next;
      hasHorzBar = horz;
      break;
    }
    if (next <= asked && next <= maxHeight) {
      rows = i + 1;
      C = next;
      hasHorzBar = horz;
      continue;
    }
    if (next > maxHeight || growing)
      break;
    rows = i + 1;
    C = next;
    hasHorzBar = horz;
    break;
  }
  const bool rowsRemain = rows < shown;
  NewSize.cy = C;
  NewSize.cx = std::max<int>(NewSize.cx, (rowsRemain ? V : 0) + (hasHorzBar ? V : 0));
  return true;
}

void __stdcall TcxComboBoxLookupData::TextChanged()
{
  inherited::TextChanged();
  TcxCustomTextEdit* edit = GetEdit();
  TcxCustomTextEditProperties* properties = ActiveProperties();
  if (!edit || !properties || !properties->GetIncrementalFiltering() ||
      properties->GetEditingStyle() != TcxEditEditingStyle::esEdit || !IsPopupVisible())
    return;
  if (edit->GetText() != GetSearchText()) {
    UpdateFilteredItems(edit->GetText());
    if (auto* dropDown = rtl::As<TcxCustomDropDownEdit>(edit); dropDown && dropDown->HasPopupWindow())
      dropDown->SetupPopupWindow();
  }
}

// ---------------------------------------------------------------------------
// TcxComboBoxPopupWindow

void TcxComboBoxPopupWindow::CalculateSize(TSize& Size)
{
  TcxCustomDropDownEdit* edit = Edit();
  GetPopupViewInfo()->SizeGripCorner = TdxCorner::coBottomRight;
  SetOwnerBounds(edit->GetPopupOwnerBounds());
  const TRect extent = GetClientExtent();
  const TSize minSize = GetMinSize();
  const int ownerWidth = GetOwnerBounds().right - GetOwnerBounds().left;
  const TSize preferred = edit->GetPopupWindowClientPreferredSize();
  const bool resized = GetSizeable() && edit->IsPopupSizeChanged();
  int width = ownerWidth;
  if (resized || (!GetPopupAutoSize() && GetPopupWidth() > 0))
    width = GetPopupWidth();
  else if (GetPopupAutoSize())
    width = std::max<int>(extent.left + extent.right + preferred.cx, ownerWidth);
  int height = extent.top + extent.bottom + preferred.cy;
  if (resized || ((GetSizeable() || !GetPopupAutoSize()) && GetPopupHeight() > 0))
    height = GetPopupHeight();
  if (GetSizeable()) {
    width = std::max<int>(width, GetMinWidth());
    height = std::max<int>(height, GetMinHeight());
  }
  Size.cx = std::max<int>(width, minSize.cx);
  Size.cy = std::max<int>(height, minSize.cy);
  if (GetShowSearchInfoPanel())
    Size.cx = std::max<int>(Size.cx, GetFilteringViewInfo()->GetSearchInfoPanelWidth());
}

// ---------------------------------------------------------------------------
// TcxCustomComboBox

TcxCustomEditPropertiesClass TcxCustomComboBox::GetPropertiesClass()
{
  return TcxCustomEditPropertiesClass::Of<TcxCustomComboBoxProperties>();
}

TcxCustomEditPropertiesClass TcxComboBox::GetPropertiesClass()
{
  return TcxCustomEditPropertiesClass::Of<TcxComboBoxProperties>();
}

void TcxCustomComboBox::Initialize()
{
  inherited::Initialize();
  FControlStyle.Exclude(vcl::TControlStyleItem::csClickEvents);
}

bool TcxCustomComboBox::CanDropDown()
{
  IcxTextEditLookupData* lookup = GetILookupData();
  return !(lookup && lookup->IsEmpty());
}

void TcxCustomComboBox::InitializePopupWindow()
{
  inherited::InitializePopupWindow();
  // A sizeable list always shows its grip on the system panel.
  GetPopupWindow()->SetSysPanelStyle(GetActiveComboProperties()->GetPopupSizeable());
}

TSize TcxCustomComboBox::GetPopupWindowClientPreferredSize()
{
  TcxCustomEditPopupWindow* popup = GetPopupWindow();
  TcxCustomComboBoxProperties* properties = GetActiveComboProperties();
  const TSize maxSize = popup->GetMaxVisualAreaSize();
  int width = maxSize.cx;
  if (!properties->GetPopupSizeable() && !properties->GetPopupAutoSize()) {
    const TRect extent = popup->GetClientExtent();
    const TRect owner = GetPopupOwnerBounds();
    const int popupWidth = GetPopupWidth() >= 1 ? GetPopupWidth() : owner.right - owner.left;
    width = std::min<int>(popupWidth - extent.left - extent.right, maxSize.cx);
  }
  IcxTextEditLookupData* lookup = GetILookupData();
  return lookup ? lookup->GetVisualAreaPreferredSize(maxSize.cy, width) : TSize{};
}

int TcxCustomComboBox::GetSelectedItem()
{
  IcxTextEditLookupData* lookup = GetILookupData();
  return lookup ? lookup->GetListItemIndex() : -1;
}

void TcxCustomComboBox::SetSelectedItem(int AValue)
{
  if (IcxTextEditLookupData* lookup = GetILookupData())
    lookup->SetListItemIndex(AValue);
}

bool TcxCustomComboBox::DoDrawItem(vcl::TCanvas* ACanvas, int AIndex, const TRect& ARect,
                                   vcl::TOwnerDrawState AState)
{
  bool handled = false;
  if (TcxEditDrawItemEvent handler = GetProperties()->GetOnDrawItem()) {
    handler(this, ACanvas, AIndex, ARect, AState);
    handled = true;
  }
  if (GetRepositoryItem())
    if (TcxEditDrawItemEvent handler = GetActiveComboProperties()->GetOnDrawItem()) {
      handler(this, ACanvas, AIndex, ARect, AState);
      handled = true;
    }
  return handled;
}

bool TcxCustomComboBox::DoMeasureItem(int AIndex, vcl::TCanvas* ACanvas, int& AHeight)
{
  bool handled = false;
  if (TcxComboBoxMeasureItemEvent handler = GetProperties()->GetOnMeasureItem()) {
    handler(this, AIndex, ACanvas, AHeight);
    handled = true;
  }
  if (GetRepositoryItem())
    if (TcxComboBoxMeasureItemEvent handler = GetActiveComboProperties()->GetOnMeasureItem()) {
      handler(this, AIndex, ACanvas, AHeight);
      handled = true;
    }
  return handled;
}

bool TcxCustomComboBox::NeedsLookupTextChange()
{
  if (GetLookupDataTextChangedLocked() || IsEditModeSetting())
    return false;
  if (HasPopupWindow() || (!CanIncrementalSearch() && IsPopupShowPending()))
    return true;
  if (EditingStyle() != TcxEditEditingStyle::esEdit)
    return true;
  IcxTextEditLookupData* lookup = GetILookupData();
  return inherited::Focused() && lookup &&
         !rtl::AnsiSameText(GetText(), lookup->GetDisplayText(lookup->GetCurrentKey()));
}

void TcxCustomComboBox::InnerEditChanged(rtl::TObject* Sender)
{
  IcxTextEditLookupData* lookup = GetILookupData();
  const rtl::Variant key = lookup ? lookup->GetCurrentKey() : rtl::Variant();
  LockChangeEvents(true);
  LockClick(true);
  {
    rtl::Finally unlock([this] {
      LockClick(false);
      LockChangeEvents(false);
    });
    const bool reachLookup = NeedsLookupTextChange();
    inherited::InnerEditChanged(Sender);
    if (reachLookup && lookup)
      lookup->TextChanged();
  }
  if (lookup && !cxVarIsEqual(key, lookup->GetCurrentKey()) && GetActiveTextProperties()->GetIncrementalSearch())
    ModifiedClick();
}

void TcxCustomComboBox::DblClick()
{
  inherited::DblClick();
  IcxTextEditLookupData* lookup = GetILookupData();
  if (!lookup || HasPopupWindow() || !GetActiveComboProperties()->GetRevertable())
    return;
  LockChangeEvents(true);
  rtl::Finally unlock([this] { LockChangeEvents(false); });
  const rtl::Variant key = lookup->GetCurrentKey();
  FLookupItemsScrolling = true;
  {
    rtl::Finally done([this] { FLookupItemsScrolling = false; });
    lookup->Go(TcxEditLookupDataGoDirection::egdNext, true);
  }
  if (!cxVarIsEqual(key, lookup->GetCurrentKey()) && CanPostEditValue() && GetActiveProperties()->GetImmediatePost() &&
      ValidateByOptions())
    DoPostEditValue(false);
}

bool TcxCustomComboBox::CanSpellCheck()
{
  return inherited::CanSpellCheck() &&
         GetActiveComboProperties()->GetDropDownListStyle() == TcxEditDropDownListStyle::lsEditList;
}

bool TcxCustomComboBox::CanScrollLookupItems(bool /*AIsMouseWheel*/)
{
  return true;
}
