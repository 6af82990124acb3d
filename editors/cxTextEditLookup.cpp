// The lookup behind the text editors: finding the item for a typed text,
// the current item, stepping through the items, incremental filtering, and
// the visual list a drop-down editor shows.
#include <algorithm>

#include "editors/cxTextEdit.h"
#include "editors/cxVariants.h"
#include "graphics/cxGraphics.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/GraphicsHandles.h"

namespace {

// The first length(APrefix) characters of S equal APrefix, ignoring case.
bool cxStartsText(const rtl::String& APrefix, const rtl::String& S)
{
  return APrefix.size() <= S.size() && rtl::AnsiSameText(S.substr(0, APrefix.size()), APrefix);
}

bool cxContainsText(const rtl::String& ASubText, const rtl::String& S)
{
  return rtl::AnsiUpperCase(S).find(rtl::AnsiUpperCase(ASubText)) != rtl::String::npos;
}

}  // namespace

// ---------------------------------------------------------------------------
// TcxCustomTextEditLookupData

void TcxCustomTextEditLookupData::Create(rtl::TPersistent* AOwner)
{
  inherited::Create(AOwner);
  FOwner = AOwner;
  FCurrentKey = -1;
  FItemIndex = -1;
}

void TcxCustomTextEditLookupData::Destroy()
{
  // The container owns the list.
  rtl::FreeAndNil(FListContainer);
  FList = nullptr;
  inherited::Destroy();
}

TcxCustomTextEdit* TcxCustomTextEditLookupData::GetEdit() const
{
  return rtl::As<TcxCustomTextEdit>(FOwner);
}

TcxCustomTextEditProperties* TcxCustomTextEditLookupData::ActiveProperties() const
{
  TcxCustomTextEdit* edit = GetEdit();
  return edit ? edit->GetActiveTextProperties() : nullptr;
}

int TcxCustomTextEditLookupData::GetItemCount()
{
  TcxCustomTextEditProperties* properties = ActiveProperties();
  return properties ? properties->GetLookupItems()->GetCount() : 0;
}

rtl::String TcxCustomTextEditLookupData::GetItemText(int AIndex)
{
  return ActiveProperties()->GetLookupItems()->GetStrings(AIndex);
}

TcxCustomEditListBoxClass TcxCustomTextEditLookupData::GetListBoxClass()
{
  return TcxCustomEditListBoxClass::Of<TcxCustomEditListBox>();
}

rtl::String __stdcall TcxCustomTextEditLookupData::GetDisplayText(const rtl::Variant& AKey)
{
  if (!rtl::VarIsOrdinal(AKey))
    return {};
  const int index = AKey.AsInteger();
  return index >= 0 && index < GetItemCount() ? GetItemText(index) : rtl::String();
}

bool TcxCustomTextEditLookupData::IsPopupVisible()
{
  TcxCustomTextEdit* edit = GetEdit();
  return edit && edit->HasPopupWindow();
}

bool TcxCustomTextEditLookupData::IsFilteringActive()
{
  TcxCustomTextEditProperties* properties = ActiveProperties();
  return properties && properties->UseIncrementalFiltering();
}

bool TcxCustomTextEditLookupData::UsesContainsOperator() const
{
  TcxCustomTextEditProperties* properties = ActiveProperties();
  return properties && properties->GetIncrementalFiltering() &&
         properties->GetIncrementalFilteringOptions().Contains(
             TcxTextEditIncrementalFilteringOption::ifoUseContainsOperator);
}

// ---------------------------------------------------------------------------
// Shown positions

int TcxCustomTextEditLookupData::GetDisplayItemCount()
{
  TcxCustomTextEditProperties* properties = ActiveProperties();
  if (properties && properties->GetIncrementalFiltering())
    return static_cast<int>(FFilteredLookupItems.size());
  return GetItemCount();
}

int TcxCustomTextEditLookupData::ShownToItem(int APosition)
{
  TcxCustomTextEditProperties* properties = ActiveProperties();
  if (APosition < 0 || !properties || !properties->GetIncrementalFiltering())
    return APosition;
  return APosition < static_cast<int>(FFilteredLookupItems.size()) ? FFilteredLookupItems[APosition] : -1;
}

int TcxCustomTextEditLookupData::ItemToShown(int AIndex)
{
  TcxCustomTextEditProperties* properties = ActiveProperties();
  if (AIndex < 0 || !properties || !properties->GetIncrementalFiltering())
    return AIndex;
  const auto found = std::find(FFilteredLookupItems.begin(), FFilteredLookupItems.end(), AIndex);
  return found == FFilteredLookupItems.end() ? -1 : static_cast<int>(found - FFilteredLookupItems.begin());
}

// ---------------------------------------------------------------------------
// Finding items

int TcxCustomTextEditLookupData::FindExact(const rtl::String& AText)
{
  const int count = GetItemCount();
  for (int i = 0; i < count; ++i)
    if (rtl::AnsiSameText(GetItemText(i), AText))
      return i;
  return -1;
}

int TcxCustomTextEditLookupData::FindItemFrom(const rtl::String& AText, int AStart, bool AWhole)
{
  const int count = GetItemCount();
  if (AText.empty() || AStart >= count)
    return -1;
  const bool contains = UsesContainsOperator() && IsPopupVisible();
  for (int i = std::max(AStart, 0); i < count; ++i) {
    const rtl::String item = GetItemText(i);
    if (contains ? cxContainsText(AText, item) : AWhole ? rtl::AnsiSameText(item, AText) : cxStartsText(AText, item))
      return i;
  }
  return -1;
}

// A failed search forgets the current item, except where a list style keeps
// what was chosen.
void TcxCustomTextEditLookupData::ApplyMiss(bool AExactMRU, const rtl::String& AText)
{
  bool clear = true;
  switch (ActiveProperties()->GetEditingStyle()) {
    case TcxEditEditingStyle::esEditList:
      clear = AExactMRU || AText.empty();
      break;
    case TcxEditEditingStyle::esFixedList:
      clear = AExactMRU;
      break;
    default:
      break;
  }
  if (clear)
    InternalSetCurrentKey(-1);
}

bool TcxCustomTextEditLookupData::LocateText(rtl::String& AText, rtl::String& ATail, bool AExactMRU, bool ANext)
{
  if (GetItemCount() == 0) {
    ApplyMiss(AExactMRU, AText);
    return false;
  }
  TcxCustomTextEditProperties* properties = ActiveProperties();
  if (AExactMRU && properties->GetMRUMode()) {
    const int index = FindExact(AText);
    InternalSetCurrentKey(index);
    if (index == -1)
      return false;
    ATail.clear();
    return true;
  }
  const int start = ANext ? FItemIndex + 1 : 0;
  int index = PrefersExactMatch() ? FindItemFrom(AText, start, true) : -1;
  if (index == -1)
    index = FindItemFrom(AText, start, false);
  if (index == -1) {
    ApplyMiss(AExactMRU, AText);
    return false;
  }
  if (UsesContainsOperator() && IsPopupVisible()) {
    InternalSetCurrentKey(index);
    return true;
  }
  const rtl::String item = GetItemText(index);
  const std::size_t length = std::min(AText.size(), item.size());
  if (properties->GetEditingStyle() != TcxEditEditingStyle::esEdit)
    AText = item.substr(0, length);
  ATail = item.substr(length);
  InternalSetCurrentKey(index);
  return true;
}

bool __stdcall TcxCustomTextEditLookupData::Locate(rtl::String& AText, rtl::String& ATail, bool ANext)
{
  const bool result = LocateText(AText, ATail, false, ANext);
  TcxCustomTextEditProperties* properties = ActiveProperties();
  if (properties->GetIncrementalFiltering() && IsPopupVisible()) {
    const bool keep = !result && !AText.empty() &&
                      (properties->GetEditingStyle() != TcxEditEditingStyle::esEdit ||
                       !properties->GetIncrementalSearch());
    if (!keep)
      UpdateFilteredItems(AText);
  }
  return result;
}

void __stdcall TcxCustomTextEditLookupData::TextChanged()
{
  TcxCustomTextEdit* edit = GetEdit();
  if (!edit || edit->IsEditModeSetting() || FIsInitializing)
    return;
  const rtl::String text = edit->GetText();
  if (FItemIndex < GetItemCount() && rtl::AnsiSameText(FItemIndex == -1 ? rtl::String() : GetItemText(FItemIndex), text))
    return;
  rtl::String search = text;
  rtl::String tail;
  LocateText(search, tail, true, false);
}

// ---------------------------------------------------------------------------
// Filtering

void TcxCustomTextEditLookupData::UpdateFilteredItems(const rtl::String& AText)
{
  FSearchText = AText;
  FFilteredLookupItems.clear();
  const int count = GetItemCount();
  const bool contains = UsesContainsOperator();
  for (int i = 0; i < count; ++i) {
    const rtl::String item = GetItemText(i);
    if (AText.empty() || (contains ? cxContainsText(AText, item) : cxStartsText(AText, item)))
      FFilteredLookupItems.push_back(i);
  }
  RefillList();
}

void __stdcall TcxCustomTextEditLookupData::ResetFilter()
{
  FSearchText.clear();
  FFilteredLookupItems.resize(static_cast<std::size_t>(GetItemCount()));
  for (std::size_t i = 0; i < FFilteredLookupItems.size(); ++i)
    FFilteredLookupItems[i] = static_cast<int>(i);
  RefillList();
}

// ---------------------------------------------------------------------------
// Current key and selection

void TcxCustomTextEditLookupData::InternalSetCurrentKey(int AValue)
{
  if (AValue < -1 || AValue >= GetItemCount())
    return;
  FCurrentKey = AValue;
  SetItemIndex(AValue);
}

void TcxCustomTextEditLookupData::SetItemIndex(int AIndex)
{
  if (AIndex < -1 || AIndex >= GetItemCount() || (AIndex == FItemIndex && AIndex != -1))
    return;
  if (FList && FList->GetItems()->GetCount() > 0) {
    if (AIndex == -1) {
      // Scrolls the list to its top before clearing the selection.
      FList->TcxCustomInnerListBox::SetItemIndex(0);
      FList->TcxCustomInnerListBox::SetItemIndex(-1);
    } else {
      SetListItemIndex(AIndex);
    }
  }
  FItemIndex = AIndex;
}

void __stdcall TcxCustomTextEditLookupData::SetListItemIndex(int AIndex)
{
  if (FList && FList->HandleAllocated())
    FList->TcxCustomInnerListBox::SetItemIndex(ItemToShown(AIndex));
}

int __stdcall TcxCustomTextEditLookupData::GetListItemIndex()
{
  return FList ? ShownToItem(FList->GetItemIndex()) : -1;
}

void TcxCustomTextEditLookupData::ListSelectItem(rtl::TObject* /*Sender*/)
{
  const int shown = FList ? FList->GetItemIndex() : -1;
  FItemIndex = shown == -1 ? -1 : ShownToItem(shown);
}

void __stdcall TcxCustomTextEditLookupData::SetCurrentKey(const rtl::Variant& AKey)
{
  const int oldKey = FCurrentKey;
  const int key = rtl::VarIsOrdinal(AKey) ? AKey.AsInteger() : -1;
  InternalSetCurrentKey(key);
  TcxCustomTextEdit* edit = GetEdit();
  const bool oldLocked = edit && edit->GetLookupDataTextChangedLocked();
  if (edit)
    edit->SetLookupDataTextChangedLocked(true);
  rtl::Finally restore([&] {
    if (edit)
      edit->SetLookupDataTextChangedLocked(oldLocked);
  });
  bool raise = FCurrentKey != oldKey;
  if (!raise && key >= 0 && key < GetItemCount())
    raise = !edit || edit->GetText() != GetItemText(key);
  if (raise && FOnSelectItem)
    FOnSelectItem(this);
}

void __stdcall TcxCustomTextEditLookupData::SelectItem()
{
  if (FItemIndex == -1)
    return;
  TcxCustomTextEdit* edit = GetEdit();
  if (FCurrentKey != FItemIndex && edit && !edit->DoEditing())
    return;
  const int oldKey = FCurrentKey;
  SetCurrentKey(rtl::Variant(FItemIndex));
  if (FCurrentKey == oldKey && FOnSelectItem)
    FOnSelectItem(this);
}

// ---------------------------------------------------------------------------
// Stepping

void __stdcall TcxCustomTextEditLookupData::Go(TcxEditLookupDataGoDirection ADirection, bool ACircular)
{
  using enum TcxEditLookupDataGoDirection;
  if (!IsPopupVisible())
    ResetFilter();
  const int count = GetDisplayItemCount();
  if (count == 0)
    return;
  const bool filtering = IsFilteringActive() && IsPopupVisible();
  const int current = FItemIndex == -1 && !IsFilteringActive() ? FCurrentKey : FItemIndex;
  const int p = ItemToShown(current);
  const int last = count - 1;
  const int pageRows = ActiveProperties()->GetDropDownPageRowCount();
  int shown = p;
  switch (ADirection) {
    case egdBegin:
      shown = 0;
      break;
    case egdEnd:
      shown = last;
      break;
    case egdNext:
      if (p < last)
        shown = p + 1;
      else
        shown = ACircular ? 0 : filtering ? -1 : p;
      break;
    case egdPrev:
      shown = p - 1;
      if (shown < 0)
        shown = ACircular ? last : filtering ? (p == 0 ? -1 : last) : p;
      break;
    case egdPageUp:
      if (p == -1) {
        shown = ACircular ? last : -1;
      } else {
        shown = p - pageRows + 1;
        if (shown < 0)
          shown = ACircular && p == 0 ? last : 0;
      }
      break;
    case egdPageDown:
      shown = p == -1 ? pageRows - 1 : p + pageRows - 1;
      if (shown > last)
        shown = ACircular && p == last ? 0 : last;
      break;
  }
  const int item = ShownToItem(shown);
  TcxCustomTextEdit* edit = GetEdit();
  const bool listShown = FList && FList->HandleAllocated() && FList->GetVisible() && IsPopupVisible();
  if (!listShown || (ActiveProperties()->GetImmediateUpdateText() && edit && edit->DoEditing()))
    SetCurrentKey(rtl::Variant(item));
  else
    SetItemIndex(item);
}

void __stdcall TcxCustomTextEditLookupData::CloseUp()
{
  TcxCustomTextEdit* edit = GetEdit();
  if (!edit || !edit->IsEditModeSetting())
    SetItemIndex(FCurrentKey);
  ResetFilter();
}

// ---------------------------------------------------------------------------
// Visual controls

void __stdcall TcxCustomTextEditLookupData::Initialize(vcl::TWinControl* AVisualControlsParent)
{
  FIsInitializing = true;
  rtl::Finally done([this] { FIsInitializing = false; });
  CreateVisualControls(AVisualControlsParent);
}

void TcxCustomTextEditLookupData::CreateVisualControls(vcl::TWinControl* AParent)
{
  const bool isNew = !FList;
  if (isNew) {
    FListContainer = rtl::New<TcxEditListBoxContainer>(AParent);
    FList = GetListBoxClass().Create(FListContainer);
    FList->SetLookupData(this);
    FListContainer->SetInnerControl(FList);
    FList->SetParent(FListContainer);
  }
  FListContainer->SetParent(AParent);
  if (TcxCustomTextEdit* edit = GetEdit()) {
    FListContainer->GetStyle()->Assign(edit->GetStyle());
    FListContainer->GetStyle()->SetFont(edit->GetStyle()->GetFont());
  }
  FList->GetCanvas()->SetFont(FList->GetFont());
  FList->SetOnSelectItem({});
  if (isNew)
    FList->ItemsChanged();
  FList->SetItemCount(GetDisplayItemCount());
  FList->SetOnSelectItem(rtl::TNotifyEvent::Bind<&TcxCustomTextEditLookupData::ListSelectItem>(this));
  FList->TcxCustomInnerListBox::SetItemIndex(ItemToShown(FItemIndex));
  if (!isNew)
    FList->ItemsChanged();
  FList->Invalidate();
  TextChanged();
}

void TcxCustomTextEditLookupData::SetVisualAreaBounds(const TRect& R)
{
  if (!FListContainer)
    return;
  FListContainer->SetBoundsRect(R);
  if (FList->HandleAllocated()) {
    // Set again so that the window re-measures its horizontal bar.
    const LRESULT width = FList->Perform(LB_GETHORIZONTALEXTENT, 0, 0);
    FList->Perform(LB_SETHORIZONTALEXTENT, 0, 0);
    FList->Perform(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(width), 0);
  }
}

void TcxCustomTextEditLookupData::RefillList()
{
  if (!FList || !FList->HandleAllocated())
    return;
  FList->GetItems()->BeginUpdate();
  rtl::Finally done([this] { FList->GetItems()->EndUpdate(); });
  FList->SetItemCount(GetDisplayItemCount());
}

vcl::TWinControl* __stdcall TcxCustomTextEditLookupData::GetActiveControl()
{
  return FList;
}

bool __stdcall TcxCustomTextEditLookupData::IsMouseOverList(const TPoint& P)
{
  if (!FList || !FList->HandleAllocated())
    return false;
  POINT local = P;
  ScreenToClient(FList->GetHandle(), &local);
  const TRect bounds = FList->GetBoundsRect();
  return PtInRect(&bounds, local) != 0;
}

// ---------------------------------------------------------------------------
// TcxCustomEditListBox

void TcxCustomEditListBox::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FContainer = rtl::As<TcxContainer>(AOwner);
  FHotTrack = true;
  FPrevMousePos = TPoint{-1, -1};
  SetBorderStyle(vcl::TBorderStyle::bsNone);
  SetStyle(vcl::TListBoxStyle::lbOwnerDrawVariable);
}

void TcxCustomEditListBox::CreateParams(vcl::TCreateParams& AParams)
{
  inherited::CreateParams(AParams);
  AParams.Style &= ~static_cast<DWORD>(WS_BORDER);
}

rtl::String TcxCustomEditListBox::GetListItemText(int AIndex)
{
  return GetItems()->GetStrings(AIndex);
}

unsigned TcxCustomEditListBox::GetDrawTextFlags()
{
  return DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
}

bool TcxCustomEditListBox::IsHighlightSearchText()
{
  TcxCustomTextEdit* edit = FLookupData ? FLookupData->GetEdit() : nullptr;
  if (!edit)
    return false;
  TcxCustomTextEditProperties* properties = edit->GetActiveTextProperties();
  return properties->GetIncrementalFiltering() &&
         properties->GetIncrementalFilteringOptions().Contains(
             TcxTextEditIncrementalFilteringOption::ifoHighlightSearchText);
}

int TcxCustomEditListBox::GetItemHeight(int /*AIndex*/)
{
  vcl::TScreenDC dc;
  vcl::TSelectObjectGuard font(dc.Get(), GetFont()->GetHandle());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.Get(), &metrics);
  int height = metrics.tmHeight;
  cxEnsureTouchExtent(height, GetScaleFactor());
  return height;
}

int TcxCustomEditListBox::GetItemWidth(int AIndex)
{
  vcl::TScreenDC dc;
  vcl::TSelectObjectGuard font(dc.Get(), GetFont()->GetHandle());
  const rtl::String text = GetListItemText(AIndex);
  SIZE size{};
  GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

void TcxCustomEditListBox::MeasureItem(int /*AIndex*/, int& AHeight)
{
  AHeight = GetItemHeight();
}

void TcxCustomEditListBox::SetItemCount(int ACount)
{
  rtl::TStrings* items = GetItems();
  const int count = items->GetCount();
  if (count == ACount)
    return;
  items->BeginUpdate();
  rtl::Finally done([items] { items->EndUpdate(); });
  for (int i = count; i < ACount; ++i)
    items->Add(FLookupData ? FLookupData->GetItemText(FLookupData->ShownToItem(i)) : rtl::String());
  for (int i = count - 1; i >= ACount; --i)
    items->Delete(i);
}

void TcxCustomEditListBox::DrawItem(int AIndex, const TRect& ARect, vcl::TOwnerDrawState AState)
{
  if (DrawItemCustom(AIndex, ARect, AState))
    return;
  vcl::TCanvas* canvas = GetCanvas();
  canvas->FillRect(ARect);
  if (AIndex < 0 || AIndex >= GetItems()->GetCount())
    return;
  const bool rightToLeft = UseRightToLeftAlignment();
  TRect R = ARect;
  (rightToLeft ? R.right : R.left) += rightToLeft ? -2 : 2;
  const rtl::String text = GetListItemText(AIndex);
  const rtl::String search = FLookupData ? FLookupData->GetSearchText() : rtl::String();
  const std::size_t found = search.empty() ? rtl::String::npos : rtl::AnsiUpperCase(text).find(rtl::AnsiUpperCase(search));
  if (IsHighlightSearchText() && found != rtl::String::npos) {
    unsigned flags = cxdtfSingleLine | 0x10 | cxdtfEndEllipsis;
    if (rightToLeft)
      flags |= taRight | cxdtfRTLReading;
    cxDrawTextEx(canvas->GetHandle(), text, R, 1.0, canvas->GetFont()->GetColor(), 0, 0, 0, vcl::clHighlightText,
                 vcl::clHighlight, canvas->GetFont(), static_cast<int>(search.size()), static_cast<int>(found), flags);
  } else {
    UINT flags = GetDrawTextFlags();
    if (rightToLeft)
      flags |= DT_RIGHT | DT_RTLREADING;
    const int oldMode = SetBkMode(canvas->GetHandle(), TRANSPARENT);
    ::DrawTextW(canvas->GetHandle(), text.c_str(), static_cast<int>(text.size()), &R, flags);
    SetBkMode(canvas->GetHandle(), oldMode);
  }
  TcxCustomTextEdit* edit = FLookupData ? FLookupData->GetEdit() : nullptr;
  if (edit && AState.Contains(vcl::TOwnerDrawStateItem::odFocused)) {
    TcxCustomTextEditProperties* properties = edit->GetActiveTextProperties();
    const TcxEditEditingStyle style = properties->GetEditingStyle();
    if ((style == TcxEditEditingStyle::esFixedList || style == TcxEditEditingStyle::esNoEdit) &&
        !properties->GetIncrementalFiltering())
      canvas->DrawFocusRect(ARect);
  }
}

void TcxCustomEditListBox::SelectionChanged()
{
  SetExternalScrollBarsParameters();
  if (FOnSelectItem)
    FOnSelectItem(this);
}

void TcxCustomEditListBox::SetItemIndex(int AValue)
{
  inherited::SetItemIndex(AValue);
  SelectionChanged();
}

void TcxCustomEditListBox::Click()
{
  inherited::Click();
  SelectionChanged();
}

void TcxCustomEditListBox::MouseMove(vcl::TShiftState AShift, int X, int Y)
{
  inherited::MouseMove(AShift, X, Y);
  const TPoint P{X, Y};
  if (FHotTrack && GetCapture() != GetHandle() && (P.x != FPrevMousePos.x || P.y != FPrevMousePos.y)) {
    const int index = ItemAtPos(P, true);
    if (index != -1 && index != GetItemIndex())
      SetItemIndex(index);
  }
  FPrevMousePos = P;
}

bool TcxCustomEditListBox::AccumulateWheel(int AWheelDelta)
{
  const int delta = std::clamp(AWheelDelta, -WHEEL_DELTA, WHEEL_DELTA);
  if (FMouseWheelAccumulator == 0 || (delta > 0) != (FMouseWheelAccumulator > 0))
    FMouseWheelAccumulator = delta;
  else
    FMouseWheelAccumulator += delta;
  if (std::abs(FMouseWheelAccumulator) < WHEEL_DELTA)
    return false;
  const WPARAM code = FMouseWheelAccumulator > 0 ? SB_LINEUP : SB_LINEDOWN;
  FMouseWheelAccumulator = 0;
  bool answered = false;
  const int lines = std::max(vcl::Mouse()->GetWheelScrollLines(), 1);
  for (int i = 0; i < lines && HandleAllocated(); ++i)
    answered = Perform(WM_VSCROLL, code, 0) == 0;
  return answered;
}

bool TcxCustomEditListBox::DoMouseWheel(vcl::TShiftState AShift, int AWheelDelta, TPoint AMousePos)
{
  if (inherited::DoMouseWheel(AShift, AWheelDelta, AMousePos))
    return true;
  return AccumulateWheel(AWheelDelta);
}

// ---------------------------------------------------------------------------
// TcxEditListBoxContainer

void TcxEditListBoxContainer::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  SetWidth(121);
  SetHeight(97);
}

// ---------------------------------------------------------------------------
// TcxCustomTextEdit: lookup completion and navigation

namespace {

TShortCut cxTextEditShortCut(WORD AKey, vcl::TShiftState AShift)
{
  TShortCut result = AKey;
  if (AShift.Contains(vcl::TShiftStateItem::ssShift))
    result |= 0x2000;
  if (AShift.Contains(vcl::TShiftStateItem::ssCtrl))
    result |= 0x4000;
  if (AShift.Contains(vcl::TShiftStateItem::ssAlt))
    result |= 0x8000;
  return result;
}

// S without its last character; a surrogate pair goes as one.
void cxRemoveLastCharacter(rtl::String& S)
{
  if (S.empty())
    return;
  S.pop_back();
  if (!S.empty() && IS_HIGH_SURROGATE(S.back()))
    S.pop_back();
}

}  // namespace

rtl::ClassOf<TcxCustomTextEditLookupData> TcxCustomTextEditProperties::GetLookupDataClass()
{
  return rtl::ClassOf<TcxCustomTextEditLookupData>::Of<TcxCustomTextEditLookupData>();
}

bool TcxCustomTextEdit::CanIncrementalSearch()
{
  TcxCustomTextEditProperties* properties = GetActiveTextProperties();
  const TcxEditEditingStyle style = properties->GetEditingStyle();
  return style == TcxEditEditingStyle::esEditList || style == TcxEditEditingStyle::esFixedList ||
         (style == TcxEditEditingStyle::esEdit && properties->GetIncrementalSearch());
}

int TcxCustomTextEdit::LookupKeyToItemIndex(const rtl::Variant& AKey)
{
  return rtl::VarIsOrdinal(AKey) ? AKey.AsInteger() : -1;
}

rtl::Variant TcxCustomTextEdit::LookupKeyToEditValue(const rtl::Variant& AKey)
{
  rtl::Variant result;
  PrepareEditValue(rtl::Variant(FLookupData ? FLookupData->GetDisplayText(AKey) : rtl::String()), result, false);
  return result;
}

int TcxCustomTextEdit::GetItemIndex()
{
  return FLookupData ? LookupKeyToItemIndex(FLookupData->GetCurrentKey()) : -1;
}

void TcxCustomTextEdit::SetItemIndex(int AValue)
{
  if (!FLookupData)
    return;
  const int oldIndex = GetItemIndex();
  LockClick(true);
  try {
    FLookupData->SetCurrentKey(ItemIndexToLookupKey(AValue));
    const rtl::Variant value = LookupKeyToEditValue(FLookupData->GetCurrentKey());
    if (!cxVarSameValue(value, GetEditValue())) {
      const bool locked = FLookupDataTextChangedLocked;
      FLookupDataTextChangedLocked = true;
      rtl::Finally restore([&] { FLookupDataTextChangedLocked = locked; });
      SetEditValue(value);
    }
  } catch (...) {
    LockClick(false);
    throw;
  }
  LockClick(false);
  if (GetItemIndex() != oldIndex) {
    SetEditModified(false);
    Click();
  }
}

rtl::TObject* TcxCustomTextEdit::GetItemObject()
{
  const int index = GetItemIndex();
  rtl::TStringList* items = GetActiveTextProperties()->GetLookupItems();
  return index >= 0 && index < items->GetCount() ? items->GetObjects(index) : nullptr;
}

void TcxCustomTextEdit::SetItemObject(rtl::TObject* AValue)
{
  SetItemIndex(GetActiveTextProperties()->GetLookupItems()->IndexOfObject(AValue));
}

bool TcxCustomTextEdit::IsLookupNavigationKey(WORD AKey, vcl::TShiftState /*AShift*/)
{
  return AKey == VK_PRIOR || AKey == VK_NEXT || AKey == VK_END || AKey == VK_HOME || AKey == VK_UP ||
         AKey == VK_DOWN;
}

void TcxCustomTextEdit::DoNewLookupDisplayText(const rtl::String& AText)
{
  if (TcxCustomTextEditProperties* own = GetProperties(); own && own->GetOnNewLookupDisplayText())
    own->GetOnNewLookupDisplayText()(this, AText);
  TcxCustomTextEditProperties* active = GetActiveTextProperties();
  if (active != GetProperties() && active->GetOnNewLookupDisplayText())
    active->GetOnNewLookupDisplayText()(this, AText);
}

bool TcxCustomTextEdit::LocateLookupText(rtl::String& AText)
{
  TcxCustomTextEditProperties* properties = GetActiveTextProperties();
  const TcxEditEditingStyle style = properties->GetEditingStyle();
  IcxInnerTextEdit* inner = GetInnerTextEdit();
  const wchar_t imeChar = inner ? inner->GetImeLastChar() : 0;
  const rtl::String typed = imeChar ? AText + imeChar : AText;
  AText = typed;
  rtl::String tail;
  const bool found = FLookupData->Locate(AText, tail, false);
  if (found && imeChar && !AText.empty()) {
    tail.insert(tail.begin(), AText.back());
    AText.pop_back();
  }
  FFindSelection = found;
  const bool contains = properties->GetIncrementalFiltering() &&
                        properties->GetIncrementalFilteringOptions().Contains(
                            TcxTextEditIncrementalFilteringOption::ifoUseContainsOperator);
  if (AText.empty()) {
    if (style != TcxEditEditingStyle::esFixedList || (contains && !properties->IsFilteringExternal()))
      SetDisplayValue(rtl::Variant(rtl::String()));
    FFindSelection = false;
  }
  if (found) {
    GetDataBinding()->SetDisplayValue(rtl::Variant(AText + tail));
    if (properties->IsFilteringExternal() && style == TcxEditEditingStyle::esFixedList && contains) {
      const std::size_t position = rtl::AnsiUpperCase(AText).find(rtl::AnsiUpperCase(typed));
      SetSelStart(position == rtl::String::npos ? 0 : static_cast<int>(position));
      SetSelLength(static_cast<int>(typed.size()));
    } else {
      SetSelStart(static_cast<int>(AText.size()));
      SetSelLength(static_cast<int>(tail.size()));
    }
  }
  UpdateDrawValue();
  return found;
}

void TcxCustomTextEdit::ProcessKeyPress(wchar_t& AKey)
{
  IcxInnerTextEdit* inner = GetInnerTextEdit();
  if (inner)
    inner->SetInternalUpdating(true);
  inherited::ProcessKeyPress(AKey);
  // A refused key stays marked, so the window never sees it.
  if (AKey == 0)
    return;
  FLookupDataTextChangedLocked = false;
  TcxCustomTextEditProperties* properties = GetActiveTextProperties();
  const TcxEditEditingStyle style = properties->GetEditingStyle();
  const bool fixed = style == TcxEditEditingStyle::esFixedList;
  const bool contains = properties->IsFilteringExternal() && properties->GetIncrementalFiltering() && fixed &&
                        properties->GetIncrementalFilteringOptions().Contains(
                            TcxTextEditIncrementalFilteringOption::ifoUseContainsOperator);
  bool found = false;
  int oldKey = FLookupData ? LookupKeyToItemIndex(FLookupData->GetCurrentKey()) : -1;
  BeginUserAction();
  LockClick(true);
  try {
    if (AKey == L'\b' && fixed && !properties->GetFixedListSelection()) {
      AKey = 0;
      FFindSelection = false;
    }
    const bool savedFindSelection = FFindSelection;
    if (AKey == L'\b' && FLookupData && CanIncrementalSearch()) {
      if (style == TcxEditEditingStyle::esEditList && !GetDisplayText().empty() && !FFindSelection) {
        const int start = GetSelStart();
        SetSelLength(static_cast<int>(GetDisplayText().size()) - start);
        FFindSelection = true;
      }
      if (FFindSelection) {
        rtl::String text = contains ? GetSelText() : GetDisplayText().substr(0, static_cast<std::size_t>(GetSelStart()));
        cxRemoveLastCharacter(text);
        FLookupDataTextChangedLocked = true;
        found = LocateLookupText(text);
      }
      if (fixed)
        AKey = 0;
    } else if (AKey >= L' ' && FLookupData) {
      const rtl::String current = GetDisplayText();
      const int selLength = GetSelLength();
      const int selStart = std::clamp(GetSelStart(), 0, static_cast<int>(current.size()));
      const bool applicable = style != TcxEditEditingStyle::esEdit || selLength > 0 || FFindSelection ||
                              selStart == static_cast<int>(current.size());
      if (CanIncrementalSearch() && applicable) {
        FLookupDataTextChangedLocked = true;
        rtl::String text = current;
        const rtl::String key(1, AKey);
        if (selLength == 0) {
          if (!fixed) {
            text.insert(static_cast<std::size_t>(selStart), key);
          } else if (FFindSelection) {
            text += key;
            found = LocateLookupText(text);
            if (!found)
              text = key;
          } else {
            text = key;
          }
        } else {
          text = contains ? GetSelText() + key : current.substr(0, static_cast<std::size_t>(selStart)) + key;
        }
        if (!found)
          found = LocateLookupText(text);
        if (fixed && !properties->GetFixedListSelection() && !found) {
          text = key;
          found = LocateLookupText(text);
        }
      }
      // Only items can be typed into a list style.
      if ((style == TcxEditEditingStyle::esEditList || fixed) && !found) {
        AKey = 0;
        if (style == TcxEditEditingStyle::esEditList)
          FFindSelection = !GetDisplayText().empty();
        else if (properties->GetFixedListSelection() && savedFindSelection)
          FFindSelection = true;
      }
    }
  } catch (...) {
    LockClick(false);
    EndUserAction();
    throw;
  }
  LockClick(false);
  EndUserAction();
  if (FLookupData && LookupKeyToItemIndex(FLookupData->GetCurrentKey()) != oldKey)
    ModifiedClick();
  if (found)
    AKey = 0;
  if (AKey != 0 && inner)
    inner->SetInternalUpdating(false);
}

void TcxCustomTextEdit::ProcessKeyDown(WORD& AKey, vcl::TShiftState AShift)
{
  TcxCustomTextEditProperties* properties = GetActiveTextProperties();
  const TcxEditEditingStyle style = properties->GetEditingStyle();
  const bool fixed = style == TcxEditEditingStyle::esFixedList;
  const TShortCut shortCut = cxTextEditShortCut(AKey, AShift);
  if (fixed && shortCut != properties->GetClearKey() && !IsDefaultButtonClickKey(shortCut) &&
      (AKey == VK_LEFT || AKey == VK_RIGHT || AKey == VK_DELETE)) {
    SetFindSelection(false);
    DoAfterKeyDown(AKey, AShift);
    AKey = 0;
    return;
  }
  IcxInnerTextEdit* inner = GetInnerTextEdit();
  if (inner)
    inner->SetInternalUpdating(true);
  const WORD key = AKey;
  const bool findSelection = FFindSelection;
  inherited::ProcessKeyDown(AKey, AShift);
  if (key == VK_RETURN && NeedsLookupSelectOnEnter(findSelection) && FLookupData) {
    FLookupData->SelectItem();
    SelectAll();
  }
  if (AKey == VK_LEFT || AKey == VK_RIGHT) {
    SetFindSelection(false);
  } else if (AKey == VK_DELETE) {
    if (style == TcxEditEditingStyle::esEditList) {
      DoAfterKeyDown(AKey, AShift);
      AKey = 0;
    } else {
      SetFindSelection(false);
    }
  } else if (AKey != 0 && IsLookupNavigationKey(AKey, AShift)) {
    const WORD navigationKey = AKey;
    LookupNavigate(AKey, AShift);
    // A single-line window has nowhere to go with these keys.
    if (navigationKey != VK_HOME && navigationKey != VK_END && !(inner && inner->GetMultiLine())) {
      if (AKey != 0)
        DoAfterKeyDown(AKey, AShift);
      AKey = 0;
    }
  }
  if (AKey == VK_END && GetSelLength() == 0 && !fixed)
    SetFindSelection(false);
  if (AKey != 0 && inner)
    inner->SetInternalUpdating(false);
}

void TcxCustomTextEdit::LookupNavigate(WORD& AKey, vcl::TShiftState AShift)
{
  using enum TcxEditLookupDataGoDirection;
  TcxCustomTextEditProperties* properties = GetActiveTextProperties();
  if ((AKey == VK_HOME || AKey == VK_END) && properties->GetEditingStyle() != TcxEditEditingStyle::esFixedList)
    return;
  if (!properties->HasLookupData() || !FLookupData || !CanScrollLookupItems(false) || FLookupData->IsEmpty())
    return;
  const bool ctrl = AShift.Contains(vcl::TShiftStateItem::ssCtrl);
  TcxEditLookupDataGoDirection direction = egdNext;
  switch (AKey) {
    case VK_PRIOR:
      direction = ctrl ? egdBegin : egdPageUp;
      break;
    case VK_NEXT:
      direction = ctrl ? egdEnd : egdPageDown;
      break;
    case VK_END:
      direction = egdEnd;
      break;
    case VK_HOME:
      direction = egdBegin;
      break;
    case VK_UP:
      direction = egdPrev;
      break;
    default:
      break;
  }
  LockChangeEvents(true);
  FLookupItemsScrolling = true;
  rtl::Finally done([this] {
    FLookupItemsScrolling = false;
    LockChangeEvents(false);
  });
  const int oldKey = LookupKeyToItemIndex(FLookupData->GetCurrentKey());
  LockClick(true);
  {
    rtl::Finally unlock([this] { LockClick(false); });
    FLookupData->Go(direction, false);
  }
  if (LookupKeyToItemIndex(FLookupData->GetCurrentKey()) != oldKey) {
    ModifiedClick();
    if (CanPostEditValue() && properties->GetImmediatePost() && ValidateEdit())
      PostEditValue();
  }
  AKey = 0;
}

void TcxCustomTextEdit::LookupDataSelectItem(rtl::TObject* /*Sender*/)
{
  const rtl::Variant value = LookupKeyToEditValue(FLookupData->GetCurrentKey());
  const bool same = cxVarIsEqual(value, GetEditValue());
  if (!same && !DoEditing())
    return;
  PushModifiedState();
  const bool locked = FLookupDataTextChangedLocked;
  FLookupDataTextChangedLocked = true;
  try {
    SetInternalEditValue(value);
  } catch (...) {
    FLookupDataTextChangedLocked = locked;
    PopModifiedState();
    throw;
  }
  FLookupDataTextChangedLocked = locked;
  PopModifiedState();
  if (!same)
    SetModifiedAfterEnter(true);
  SelectAll();
  ShortRefreshContainer(false);
}

// A completion typed in another case takes the item's own spelling.
bool TcxCustomTextEdit::DoValidateDisplayValue(rtl::Variant& ADisplayValue, rtl::String& AErrorText, bool& AError)
{
  TcxCustomTextEditProperties* properties = GetActiveTextProperties();
  if (properties->HasDisplayValueValidation() && properties->GetEditingStyle() == TcxEditEditingStyle::esEdit &&
      FLookupData && FFindSelection) {
    const rtl::String item = FLookupData->GetDisplayText(FLookupData->GetCurrentKey());
    if (!item.empty() && rtl::AnsiSameText(rtl::VarToStr(ADisplayValue), item))
      ADisplayValue = rtl::Variant(item);
  }
  return inherited::DoValidateDisplayValue(ADisplayValue, AErrorText, AError);
}

void TcxCustomTextEdit::SetValidatedDisplayValue(const rtl::Variant& AValue)
{
  if (EditingStyle() == TcxEditEditingStyle::esEdit && FLookupData && !FLookupData->Find(rtl::VarToStr(AValue)))
    DoNewLookupDisplayText(rtl::VarToStr(AValue));
  inherited::SetValidatedDisplayValue(AValue);
}

void TcxCustomTextEdit::PrepareFixedListSelection(TcxCustomTextEditViewInfo* AViewInfo)
{
  const TcxEditEditingStyle style = EditingStyle();
  if (style != TcxEditEditingStyle::esFixedList && style != TcxEditEditingStyle::esNoEdit)
    return;
  if (style == TcxEditEditingStyle::esNoEdit || !FFindSelection ||
      !GetActiveTextProperties()->GetFixedListSelection()) {
    AViewInfo->SelLength = 0;
    return;
  }
  if (AViewInfo->DrawSelectionBar) {
    // The typed part, inverted on the bar.
    AViewInfo->SelStart = 0;
    AViewInfo->SelLength = static_cast<int>(AViewInfo->Text.size()) - GetSelLength();
    AViewInfo->SelTextColor = vcl::clHighlight;
    AViewInfo->SelBackgroundColor = vcl::clHighlightText;
  } else {
    AViewInfo->SelStart = GetSelStart();
    AViewInfo->SelLength = GetSelLength();
    AViewInfo->SelBackgroundColor = vcl::clHighlight;
    AViewInfo->SelTextColor = vcl::clHighlightText;
  }
  AViewInfo->TextOutData.Initialized = false;
}
