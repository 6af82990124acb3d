#include "simplecontrols/cxListBox.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "platform/rtl/SysUtils.h"
#include "controls/cxWindowUtils.h"
#include "graphics/cxGraphics.h"

namespace {

// The list-box messages a container hands to its inner window.
constexpr UINT kFirstListBoxMessage = LB_ADDSTRING;
constexpr UINT kLastListBoxMessage = 0x01B3;  // LB_GETLISTBOXINFO

bool IsListBoxMessage(UINT AMsg)
{
  return AMsg >= kFirstListBoxMessage && AMsg <= kLastListBoxMessage;
}

}  // namespace

// ---------------------------------------------------------------------------
// TcxInnerListBox

void TcxInnerListBox::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FcxCanvas = rtl::New<TcxCanvas>(GetCanvas());
}

void TcxInnerListBox::Destroy()
{
  inherited::Destroy();
  rtl::FreeAndNil(FcxCanvas);
}

TcxCustomListBox* TcxInnerListBox::GetListBox() const
{
  return static_cast<TcxCustomListBox*>(FContainer);
}

void TcxInnerListBox::SetListBox(TcxCustomListBox* AValue)
{
  FContainer = AValue;
}

bool TcxInnerListBox::CanEdit() const
{
  return !GetListBox() || GetListBox()->GetDataBinding()->SetEditMode();
}

void TcxInnerListBox::DrawItem(int AIndex, const TRect& ARect, vcl::TOwnerDrawState AState)
{
  TcxCustomListBox* AListBox = GetListBox();
  if (AListBox) {
    AListBox->CopyTextFlags(FcxCanvas);
    if (rtl::Is<TcxListBox>(AListBox) && static_cast<TcxListBox*>(AListBox)->DrawItem(FcxCanvas, AIndex, ARect, AState))
      return;
  }
  inherited::DrawItem(AIndex, ARect, AState);
}

void TcxInnerListBox::Click()
{
  if (CanEdit())
    inherited::Click();
}

void TcxInnerListBox::RefusedLeftPress(const rtl::TMessage& AMessage)
{
  if (CanFocus() && !Focused())
    SetFocus();
  MouseDown(vcl::TMouseButton::mbLeft, vcl::KeysToShiftState(static_cast<WORD>(AMessage.WParam)),
            GET_X_LPARAM(AMessage.LParam), GET_Y_LPARAM(AMessage.LParam));
}

void TcxInnerListBox::WndProc(rtl::TMessage& AMessage)
{
  if ((AMessage.Msg == WM_LBUTTONDOWN || AMessage.Msg == WM_LBUTTONDBLCLK) && !CanEdit()) {
    RefusedLeftPress(AMessage);
    return;
  }
  inherited::WndProc(AMessage);
}

// ---------------------------------------------------------------------------
// TcxCustomListBox

void TcxCustomListBox::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FDataBinding = GetDataBindingClass().Create(this, this);
  FDataBinding->SetOnDataChange(TcxDataBindingNotifyEvent::Bind<&TcxCustomListBox::DataChange>(this));
  FDataBinding->SetOnDataSetChange(TcxDataBindingNotifyEvent::Bind<&TcxCustomListBox::DataSetChange>(this));
  FDataBinding->SetOnUpdateData(TcxDataBindingNotifyEvent::Bind<&TcxCustomListBox::UpdateDataValue>(this));
}

void TcxCustomListBox::Destroy()
{
  inherited::Destroy();
  rtl::FreeAndNil(FDataBinding);
}

void TcxCustomListBox::AddItem(const rtl::String& AItem, rtl::TObject* AObject)
{
  GetItems()->AddObject(AItem, AObject);
}

void TcxCustomListBox::Clear()
{
  FInnerListBox->Clear();
}

void TcxCustomListBox::ClearSelection()
{
  rtl::TStrings* AItems = GetItems();
  AItems->BeginUpdate();
  rtl::Finally AEnd([AItems] { AItems->EndUpdate(); });
  FInnerListBox->ClearSelection();
}

void TcxCustomListBox::DeleteSelected()
{
  rtl::TStrings* AItems = GetItems();
  AItems->BeginUpdate();
  rtl::Finally AEnd([AItems] { AItems->EndUpdate(); });
  if (!GetMultiSelect()) {
    if (GetItemIndex() >= 0)
      AItems->Delete(GetItemIndex());
    return;
  }
  for (int I = AItems->GetCount() - 1; I >= 0; --I)
    if (FInnerListBox->GetSelected(I))
      AItems->Delete(I);
}

void TcxCustomListBox::SelectAll()
{
  rtl::TStrings* AItems = GetItems();
  AItems->BeginUpdate();
  rtl::Finally AEnd([AItems] { AItems->EndUpdate(); });
  FInnerListBox->SelectAll();
}

void TcxCustomListBox::CopySelection(TcxCustomListBox* ADestination)
{
  if (!ADestination)
    return;
  rtl::TStrings* AItems = GetItems();
  rtl::TStrings* ATarget = ADestination->GetItems();
  ATarget->BeginUpdate();
  rtl::Finally AEnd([ATarget] { ATarget->EndUpdate(); });
  for (int I = 0; I < AItems->GetCount(); ++I)
    if (GetMultiSelect() ? FInnerListBox->GetSelected(I) : I == GetItemIndex())
      ATarget->AddObject(AItems->GetStrings(I), AItems->GetObjects(I));
}

void TcxCustomListBox::MoveSelection(TcxCustomListBox* ADestination)
{
  if (!ADestination)
    return;
  CopySelection(ADestination);
  DeleteSelected();
}

int TcxCustomListBox::ItemAtPos(const TPoint& APos, bool AExisting)
{
  return FInnerListBox->ItemAtPos(TPoint{APos.x - FInnerListBox->GetLeft(), APos.y - FInnerListBox->GetTop()},
                                  AExisting);
}

TRect TcxCustomListBox::ItemRect(int AIndex)
{
  TRect R = FInnerListBox->ItemRect(AIndex);
  OffsetRect(&R, FInnerListBox->GetLeft(), FInnerListBox->GetTop());
  return R;
}

bool TcxCustomListBox::ItemVisible(int AIndex)
{
  return FInnerListBox->ItemVisible(AIndex);
}

int TcxCustomListBox::GetCount() const
{
  return FInnerListBox->GetCount();
}

void TcxCustomListBox::SetCount(int AValue)
{
  FInnerListBox->SetCount(AValue);
  FInnerListBox->SetExternalScrollBarsParameters();
}

int TcxCustomListBox::GetColumns() const
{
  return FInnerListBox->GetColumns();
}

void TcxCustomListBox::SetColumns(int AValue)
{
  FInnerListBox->SetColumns(AValue);
  FInnerListBox->SetExternalScrollBarsParameters();
}

int TcxCustomListBox::GetScrollWidth()
{
  return FInnerListBox->GetScrollWidth();
}

void TcxCustomListBox::SetScrollWidth(int AValue)
{
  FInnerListBox->SetScrollWidth(AValue);
  FInnerListBox->SetExternalScrollBarsParameters();
}

int TcxCustomListBox::GetTabWidth() const
{
  return FInnerListBox->GetTabWidth();
}

void TcxCustomListBox::SetTabWidth(int AValue)
{
  FInnerListBox->SetTabWidth(AValue);
}

int TcxCustomListBox::GetItemIndex()
{
  return FInnerListBox->GetItemIndex();
}

void TcxCustomListBox::SetItemIndex(int AValue)
{
  FInnerListBox->SetItemIndex(AValue);
}

rtl::TObject* TcxCustomListBox::GetItemObject()
{
  const int AIndex = GetItemIndex();
  return AIndex < 0 ? nullptr : FInnerListBox->GetItemObject(AIndex);
}

void TcxCustomListBox::SetItemObject(rtl::TObject* AValue)
{
  int AIndex = -1;
  if (AValue)
    for (int I = 0; I < GetCount() && AIndex < 0; ++I)
      if (FInnerListBox->GetItemObject(I) == AValue)
        AIndex = I;
  SetItemIndex(AIndex);
}

bool TcxCustomListBox::GetSelected(int AIndex)
{
  return FInnerListBox->GetSelected(AIndex);
}

void TcxCustomListBox::SetSelected(int AIndex, bool AValue)
{
  FInnerListBox->SetSelected(AIndex, AValue);
}

int TcxCustomListBox::GetSelCount()
{
  return FInnerListBox->GetSelCount();
}

int TcxCustomListBox::GetTopIndex()
{
  return FInnerListBox->GetTopIndex();
}

void TcxCustomListBox::SetTopIndex(int AValue)
{
  FInnerListBox->SetTopIndex(AValue);
}

bool TcxCustomListBox::GetAutoComplete() const
{
  return FInnerListBox->GetAutoComplete();
}

void TcxCustomListBox::SetAutoComplete(bool AValue)
{
  FInnerListBox->SetAutoComplete(AValue);
}

DWORD TcxCustomListBox::GetAutoCompleteDelay() const
{
  return FInnerListBox->GetAutoCompleteDelay();
}

void TcxCustomListBox::SetAutoCompleteDelay(DWORD AValue)
{
  FInnerListBox->SetAutoCompleteDelay(AValue);
}

bool TcxCustomListBox::GetExtendedSelect() const
{
  return FInnerListBox->GetExtendedSelect();
}

void TcxCustomListBox::SetExtendedSelect(bool AValue)
{
  FInnerListBox->SetExtendedSelect(AValue);
}

void TcxCustomListBox::SetIntegralHeight(bool AValue)
{
  if (FIntegralHeight == AValue)
    return;
  FIntegralHeight = AValue;
  SetHeight(GetHeight());
}

int TcxCustomListBox::GetItemHeight()
{
  return FInnerListBox->GetItemHeight();
}

void TcxCustomListBox::SetItemHeight(int AValue)
{
  FInnerListBox->SetItemHeight(AValue);
  SetHeight(GetHeight());
}

rtl::TStrings* TcxCustomListBox::GetItems() const
{
  return FInnerListBox->GetItems();
}

void TcxCustomListBox::SetItems(rtl::TStrings* AValue)
{
  FInnerListBox->SetItems(AValue);
  DataChange();
}

bool TcxCustomListBox::GetMultiSelect() const
{
  return FInnerListBox->GetMultiSelect();
}

void TcxCustomListBox::SetMultiSelect(bool AValue)
{
  FInnerListBox->SetMultiSelect(AValue);
}

bool TcxCustomListBox::GetSorted() const
{
  return FInnerListBox->GetSorted();
}

void TcxCustomListBox::SetSorted(bool AValue)
{
  FInnerListBox->SetSorted(AValue);
}

vcl::TListBoxStyle TcxCustomListBox::GetListStyle() const
{
  return FInnerListBox->GetStyle();
}

void TcxCustomListBox::SetListStyle(vcl::TListBoxStyle AValue)
{
  FInnerListBox->SetStyle(AValue);
}

void TcxCustomListBox::CopyTextFlags(TcxCanvas* ADestination)
{
  ADestination->SetTextFlags(GetCanvas()->GetTextFlags());
}

int TcxCustomListBox::GetItemHeightForIntegralHeight(int AIndex)
{
  using enum vcl::TListBoxStyle;
  switch (GetListStyle()) {
    case lbOwnerDrawFixed:
    case lbVirtualOwnerDraw:
      return GetItemHeight();
    case lbOwnerDrawVariable: {
      int AHeight = GetItemHeight();
      if (AIndex < GetCount() && FInnerListBox->GetOnMeasureItem())
        FInnerListBox->GetOnMeasureItem()(FInnerListBox, AIndex, AHeight);
      return AHeight;
    }
    default:
      return GetCanvas()->FontHeight(GetFont());
  }
}

int TcxCustomListBox::RowsHeight(int AFirst, int AEnd)
{
  TRect M{};
  GetBorderExtent(M);
  int AHeight = M.top + M.bottom;
  for (int I = AFirst; I < AEnd; ++I)
    AHeight += GetItemHeightForIntegralHeight(I);
  return AHeight;
}

void TcxCustomListBox::AdjustToIntegralHeight(int& AHeight)
{
  // No horizontal extent of its own, so no row pushes in a horizontal bar:
  // the rows and the margins make the height.
  const int AFirst = GetFirstItemIndexForIntegralHeight();
  for (int I = AFirst;; ++I) {
    const int AWith = RowsHeight(AFirst, I + 1);
    if (AWith == AHeight)
      return;
    if (AWith > AHeight) {
      AHeight = I == AFirst ? AWith : RowsHeight(AFirst, I);
      return;
    }
  }
}

bool TcxCustomListBox::CanResize(int& ANewWidth, int& ANewHeight)
{
  using enum vcl::TAlign;
  const bool ACanResize = inherited::CanResize(ANewWidth, ANewHeight);
  const vcl::TAlign AAlign = GetAlign();
  if (ACanResize && FIntegralHeight && FInnerListBox && !IsLoading() && AAlign != alLeft && AAlign != alRight &&
      AAlign != alClient)
    AdjustToIntegralHeight(ANewHeight);
  return ACanResize;
}

void TcxCustomListBox::CorrectAlignRect(TRect& R)
{
  TRect M{};
  GetBorderExtent(M);
  R = TRect{R.left + M.left, R.top + M.top, R.right - M.right, R.bottom - M.bottom};
}

void TcxCustomListBox::WndProc(rtl::TMessage& AMessage)
{
  if (FInnerListBox && IsListBoxMessage(AMessage.Msg)) {
    AMessage.Result = SendMessageW(FInnerListBox->GetHandle(), AMessage.Msg, AMessage.WParam, AMessage.LParam);
    return;
  }
  rtl::TFreeWatch AWatch(this);
  inherited::WndProc(AMessage);
  if (!AWatch.Freed() && AMessage.Msg == WM_COMMAND && HIWORD(AMessage.WParam) == LBN_SELCHANGE && FInnerListBox)
    FInnerListBox->SetExternalScrollBarsParameters();
}

void TcxCustomListBox::DataCheckKeyDown(WORD& AKey)
{
  if (AKey >= VK_PRIOR && AKey <= VK_DOWN && !FDataBinding->SetEditMode())
    AKey = 0;
}

void TcxCustomListBox::DataCheckKeyPress(wchar_t& AKey)
{
  if (AKey == 27)
    FDataBinding->Reset();
  else if (cxIsNonControlChar(AKey) && !FDataBinding->SetEditMode())
    AKey = 0;
}

void TcxCustomListBox::KeyDown(WORD& AKey, vcl::TShiftState AShift)
{
  inherited::KeyDown(AKey, AShift);
  if (AKey != 0)
    DataCheckKeyDown(AKey);
}

void TcxCustomListBox::KeyPress(wchar_t& AKey)
{
  inherited::KeyPress(AKey);
  if (AKey != 0)
    DataCheckKeyPress(AKey);
}

void TcxCustomListBox::DoExit()
{
  if (!IsDestroying() && !FIsExitProcessing) {
    FIsExitProcessing = true;
    rtl::Finally AEnd([this] { FIsExitProcessing = false; });
    try {
      FDataBinding->UpdateDataSource();
    } catch (...) {
      SetFocus();
      throw;
    }
  }
  inherited::DoExit();
}

void TcxCustomListBox::DataChange()
{
  if (!FInnerListBox)
    return;
  if (FDataBinding->IsDataSourceLive())
    SetItemIndex(IndexOfItemText(rtl::VarToStr(FDataBinding->GetStoredValue(TcxDataEditValueSource::evsText, Focused()))));
  else
    SetItemIndex(-1);
}

void TcxCustomListBox::UpdateDataValue()
{
  const int AIndex = GetItemIndex();
  FDataBinding->SetStoredValue(TcxDataEditValueSource::evsText,
                               rtl::Variant(AIndex < 0 ? rtl::String() : GetItemText(AIndex)));
}

// ---------------------------------------------------------------------------
// TcxListBox

void TcxListBox::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FInnerListBox = CreateInnerListBox();
  InitializeInnerListBox();
  SetBounds(GetLeft(), GetTop(), 121, 97);
}

TcxInnerListBox* TcxListBox::CreateInnerListBox()
{
  return GetInnerListBoxClass().Create(this);
}

void TcxListBox::InitializeInnerListBox()
{
  TcxInnerListBox* AInner = GetInnerListBox();
  AInner->SetBorderStyle(vcl::TBorderStyle::bsNone);
  AInner->SetListBox(this);
  AInner->SetParent(this);
  SetInnerControl(AInner);
  AInner->GetLookAndFeel()->SetMasterLookAndFeel(GetStyle()->GetLookAndFeel());
}

rtl::String TcxListBox::GetItemText(int AIndex)
{
  return FInnerListBox->GetItemText(AIndex);
}

int TcxListBox::IndexOfItemText(const rtl::String& AText)
{
  return FInnerListBox->FindItem(AText);
}

bool TcxListBox::DrawItem(TcxCanvas* ACanvas, int AIndex, const TRect& ARect, vcl::TOwnerDrawState AState)
{
  if (!FOnDrawItem)
    return false;
  FOnDrawItem(this, ACanvas, AIndex, ARect, AState);
  return true;
}

void TcxListBox::SetOnMeasureItem(TcxListBoxMeasureItemEvent AValue)
{
  FOnMeasureItem = AValue;
  GetInnerListBox()->SetOnMeasureItem(AValue ? vcl::TMeasureItemEvent::Bind<&TcxListBox::InnerMeasureItem>(this)
                                             : vcl::TMeasureItemEvent());
}

void TcxListBox::InnerMeasureItem(vcl::TWinControl* /*AControl*/, int AIndex, int& AHeight)
{
  if (FOnMeasureItem)
    FOnMeasureItem(this, AIndex, AHeight);
}
