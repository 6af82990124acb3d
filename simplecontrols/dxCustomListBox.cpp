#include "simplecontrols/dxCustomListBox.h"

#include <algorithm>

#include "platform/rtl/SysUtils.h"
#include "platform/vcl/ImgList.h"
#include "graphics/cxGraphics.h"
#include "lookandfeel/cxLookAndFeelPainters.h"

namespace {

constexpr int kDefaultItemHeight = 16;
constexpr DWORD kDefaultAutoCompleteDelay = 1000;

}  // namespace

// ---------------------------------------------------------------------------
// TdxCustomListBoxItem

void TdxCustomListBoxItem::Create(TdxCustomListBoxItems* AOwner)
{
  inherited::Create();
  FOwner = AOwner;
  FImageIndex = -1;
}

void TdxCustomListBoxItem::Assign(rtl::TObject* Source)
{
  if (!rtl::Is<TdxCustomListBoxItem>(Source))
    return;
  auto* ASource = static_cast<TdxCustomListBoxItem*>(Source);
  FCaption = ASource->FCaption;
  FData = ASource->FData;
  FImageIndex = ASource->FImageIndex;
  FHasSeparator = ASource->FHasSeparator;
  Changed();
}

void TdxCustomListBoxItem::Changed()
{
  if (FOwner)
    FOwner->Changed();
}

void TdxCustomListBoxItem::SetCaption(const rtl::String& AValue)
{
  if (FCaption == AValue)
    return;
  FCaption = AValue;
  Changed();
}

void TdxCustomListBoxItem::SetImageIndex(int AValue)
{
  if (FImageIndex == AValue)
    return;
  FImageIndex = AValue;
  Changed();
}

void TdxCustomListBoxItem::SetHasSeparator(bool AValue)
{
  if (FHasSeparator == AValue)
    return;
  FHasSeparator = AValue;
  Changed();
}

int TdxCustomListBoxItem::GetIndex() const
{
  return FOwner ? FOwner->IndexOf(const_cast<TdxCustomListBoxItem*>(this)) : -1;
}

// ---------------------------------------------------------------------------
// TdxCustomListBoxItems

void TdxCustomListBoxItems::Create(TdxCustomListBox* AOwnerControl)
{
  inherited::Create(true);
  FOwnerControl = AOwnerControl;
}

TdxCustomListBoxItemClass TdxCustomListBoxItems::GetItemClass()
{
  return TdxCustomListBoxItemClass::Of<TdxCustomListBoxItem>();
}

void TdxCustomListBoxItems::Changed()
{
  if (FOwnerControl && !IsLocked())
    FOwnerControl->LayoutChanged();
}

void TdxCustomListBoxItems::EndUpdate()
{
  --FLockCount;
  Changed();
}

void TdxCustomListBoxItems::Notify(void* APtr, rtl::TListNotification AAction)
{
  inherited::Notify(APtr, AAction);
  Changed();
}

int TdxCustomListBoxItems::SortedInsertPosition(const rtl::String& ACaption) const
{
  // Ordinal and case-sensitive, whatever the sort options.
  int ALow = 0;
  int AHigh = GetCount();
  while (ALow < AHigh) {
    const int AMiddle = (ALow + AHigh) / 2;
    if (rtl::CompareStr(GetItem(AMiddle)->GetCaption(), ACaption) <= 0)
      ALow = AMiddle + 1;
    else
      AHigh = AMiddle;
  }
  return ALow;
}

TdxCustomListBoxItem* TdxCustomListBoxItems::Add(const rtl::String& ACaption, int AImageIndex, rtl::TObject* AData,
                                                 bool AHasSeparator)
{
  return Insert(FSorted ? SortedInsertPosition(ACaption) : GetCount(), ACaption, AImageIndex, AData, AHasSeparator);
}

TdxCustomListBoxItem* TdxCustomListBoxItems::AddObject(const rtl::String& ACaption, rtl::TObject* AData)
{
  return Add(ACaption, -1, AData, false);
}

TdxCustomListBoxItem* TdxCustomListBoxItems::AddSeparator()
{
  if (GetCount() == 0)
    return nullptr;
  TdxCustomListBoxItem* ALast = GetItem(GetCount() - 1);
  ALast->SetHasSeparator(true);
  return ALast;
}

TdxCustomListBoxItem* TdxCustomListBoxItems::Insert(int AIndex, const rtl::String& ACaption, int AImageIndex,
                                                    rtl::TObject* AData, bool AHasSeparator)
{
  TdxCustomListBoxItem* AItem = GetItemClass().Create(this);
  AItem->FCaption = ACaption;
  AItem->FImageIndex = AImageIndex;
  AItem->FData = AData;
  AItem->FHasSeparator = AHasSeparator;
  try {
    inherited::Insert(AIndex, AItem);
  } catch (...) {
    rtl::Free(AItem);
    throw;
  }
  return AItem;
}

int TdxCustomListBoxItems::IndexOfCaption(const rtl::String& ACaption, bool ACaseSensitive) const
{
  for (int I = 0; I < GetCount(); ++I)
    if (ACaseSensitive ? GetItem(I)->GetCaption() == ACaption : rtl::SameText(GetItem(I)->GetCaption(), ACaption))
      return I;
  return -1;
}

int TdxCustomListBoxItems::IndexOfObject(rtl::TObject* AObject) const
{
  for (int I = 0; I < GetCount(); ++I)
    if (GetItem(I)->GetData() == AObject)
      return I;
  return -1;
}

void TdxCustomListBoxItems::LoadFromStrings(rtl::TStrings* AStrings)
{
  BeginUpdate();
  rtl::Finally AEnd([this] { EndUpdate(); });
  Clear();
  for (int I = 0; I < AStrings->GetCount(); ++I)
    AddObject(AStrings->GetStrings(I), AStrings->GetObjects(I));
}

void TdxCustomListBoxItems::SetSorted(bool AValue)
{
  if (FSorted == AValue)
    return;
  FSorted = AValue;
  if (FSorted)
    Sort();
}

void TdxCustomListBoxItems::SetSortOptions(TdxCustomListBoxSortOptions AValue)
{
  if (FSortOptions == AValue)
    return;
  FSortOptions = AValue;
  if (FSorted)
    Sort();
}

void TdxCustomListBoxItems::Sort()
{
  using enum TdxCustomListBoxSortOption;
  const bool AAnsi = FSortOptions.Contains(lbsAnsiSort);
  const bool ANoCase = FSortOptions.Contains(lbsCaseInsensitive);
  const auto ACompare = [AAnsi, ANoCase](const rtl::String& A, const rtl::String& B) {
    if (AAnsi)
      return ANoCase ? rtl::AnsiCompareText(A, B) : rtl::AnsiCompareStr(A, B);
    return ANoCase ? rtl::CompareStr(rtl::AnsiUpperCase(A), rtl::AnsiUpperCase(B)) : rtl::CompareStr(A, B);
  };
  std::vector<TdxCustomListBoxItem*> AItems;
  AItems.reserve(GetCount());
  for (int I = 0; I < GetCount(); ++I)
    AItems.push_back(GetItem(I));
  std::stable_sort(AItems.begin(), AItems.end(), [&](TdxCustomListBoxItem* A, TdxCustomListBoxItem* B) {
    return ACompare(A->GetCaption(), B->GetCaption()) < 0;
  });
  for (int I = 0; I < GetCount(); ++I)
    SetItem(I, AItems[I]);
  Changed();
}

// ---------------------------------------------------------------------------
// TdxCustomListBox

// ---------------------------------------------------------------------------
// TdxCustomListBoxHintHelper

void TdxCustomListBoxHintHelper::Create(TdxCustomListBox* AOwnerControl)
{
  inherited::Create();
  FOwnerControl = AOwnerControl;
}

TcxControl* TdxCustomListBoxHintHelper::GetControl()
{
  return FOwnerControl;
}

// ---------------------------------------------------------------------------
// TdxCustomListBox

void TdxCustomListBox::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FTickSource = &::GetTickCount;
  FItemHeight = kDefaultItemHeight;
  FHotIndex = -1;
  FItems = GetItemsClass().Create(this);
  // The first layout comes with the first change after construction.
  FItems->BeginUpdate();
  FChangeLink = rtl::New<vcl::TChangeLink>();
  FChangeLink->SetOnChange(rtl::TNotifyEvent::Bind<&TdxCustomListBox::ImageListChange>(this));
  SetBorderStyle(TcxControlBorderStyle::cxcbsDefault);
  SetParentColor(false);
  SetColor(vcl::clWindow);
  SetKeys({TcxKey::kArrows, TcxKey::kChars});
  FIncrementalSearch = true;
  FAutoCompleteDelay = kDefaultAutoCompleteDelay;
  FHintHelper = rtl::New<TdxCustomListBoxHintHelper>(this);
  FItems->CancelUpdate();
}

void TdxCustomListBox::Destroy()
{
  FItems->BeginUpdate();
  SetImages(nullptr);
  if (FHintHelper)
    FHintHelper->CancelHint();
  inherited::Destroy();
  rtl::FreeAndNil(FHintHelper);
  rtl::FreeAndNil(FChangeLink);
  rtl::FreeAndNil(FItems);
}

TdxCustomListBoxItemsClass TdxCustomListBox::GetItemsClass()
{
  return TdxCustomListBoxItemsClass::Of<TdxCustomListBoxItems>();
}

int TdxCustomListBox::AddItem(const rtl::String& ACaption, rtl::TObject* AObject, int AImageIndex)
{
  return FItems->Add(ACaption, AImageIndex, AObject, false)->GetIndex();
}

int TdxCustomListBox::Remove(rtl::TObject* AObject)
{
  const int AIndex = FItems->IndexOf(AObject);
  if (AIndex >= 0)
    FItems->FreeAndDelete(AIndex);
  LayoutChanged();
  return AIndex;
}

void TdxCustomListBox::Clear()
{
  FItems->BeginUpdate();
  {
    rtl::Finally AEnd([this] { FItems->EndUpdate(); });
    FItems->Clear();
  }
  SetItemIndex(-1);
}

rtl::TObject* TdxCustomListBox::GetItemObject() const
{
  return FItems->IsValidIndex(FItemIndex) ? FItems->GetItem(FItemIndex)->GetData() : nullptr;
}

void TdxCustomListBox::SetItemObject(rtl::TObject* AValue)
{
  SetItemIndex(FItems->IndexOfObject(AValue));
}

void TdxCustomListBox::SetColumns(int AValue)
{
  AValue = std::max(AValue, 0);
  if (FColumns == AValue)
    return;
  FColumns = AValue;
  LayoutChanged();
}

void TdxCustomListBox::SetItemHeight(int AValue)
{
  if (FItemHeight == AValue || AValue < 1)
    return;
  FItemHeight = AValue;
  LayoutChanged();
}

void TdxCustomListBox::SetItemAutoHeight(bool AValue)
{
  if (FItemAutoHeight == AValue)
    return;
  FItemAutoHeight = AValue;
  LayoutChanged();
}

void TdxCustomListBox::SetImages(vcl::TCustomImageList* AValue)
{
  if (FImages == AValue)
    return;
  if (FImages) {
    FImages->UnRegisterChanges(FChangeLink);
    FImages->RemoveFreeNotification(this);
  }
  FImages = AValue;
  if (FImages) {
    FImages->RegisterChanges(FChangeLink);
    FImages->FreeNotification(this);
  }
  if (!IsDestroying())
    LayoutChanged();
}

void TdxCustomListBox::ImageListChange(rtl::TObject* /*Sender*/)
{
  if (!FItems->IsLocked())
    LayoutChanged();
}

void TdxCustomListBox::Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation)
{
  inherited::Notification(AComponent, AOperation);
  if (AOperation == rtl::TOperation::opRemove && AComponent == FImages)
    SetImages(nullptr);
}

// ---------------------------------------------------------------------------
// Layout

TRect TdxCustomListBox::GetContentMargins()
{
  const int M = GetScaleFactor()->Apply(2);
  return TRect{M, M, M, M};
}

TSize TdxCustomListBox::GetImageSize()
{
  if (!FImages)
    return TSize{0, 0};
  return TSize{GetScaleFactor()->Apply(FImages->GetWidth()), GetScaleFactor()->Apply(FImages->GetHeight())};
}

int TdxCustomListBox::GetImagesAreaWidth()
{
  if (!FImages)
    return 0;
  const TRect M = GetContentMargins();
  return std::max(static_cast<int>(GetImageSize().cx + M.left + M.right), FItemHeight);
}

TRect TdxCustomListBox::GetItemsArea()
{
  return GetClientBounds();
}

bool TdxCustomListBox::ItemHasSeparator(int AIndex)
{
  // The last item's line would underline nothing.
  return FItems->IsValidIndex(AIndex) && AIndex < GetCount() - 1 && FItems->GetItem(AIndex)->GetHasSeparator();
}

int TdxCustomListBox::MeasureItem(int AIndex)
{
  return RowHeight(AIndex);
}

int TdxCustomListBox::RowHeight(int AIndex)
{
  int AHeight = FItemHeight;
  if (ItemHasSeparator(AIndex))
    AHeight += GetScaleFactor()->Apply(GetPainter()->SeparatorSize());
  return AHeight;
}

int TdxCustomListBox::GetRowsPerColumn()
{
  if (FColumns < 1)
    return 1;
  const TRect AArea = GetItemsArea();
  return std::max(1, static_cast<int>(AArea.bottom - AArea.top) / FItemHeight);
}

int TdxCustomListBox::GetVisibleCount()
{
  if (FColumns > 0)
    return GetRowsPerColumn() * FColumns;
  const TRect AArea = GetItemsArea();
  int ACount = 0;
  int Y = AArea.top;
  for (int I = FTopIndex; I < GetCount(); ++I) {
    Y += MeasureItem(I);
    if (Y > AArea.bottom)
      break;
    ++ACount;
  }
  return std::max(ACount, 1);
}

int TdxCustomListBox::MaxTopIndex()
{
  if (GetCount() == 0)
    return 0;
  if (FColumns > 0) {
    // Whole columns, far enough that the last item shows.
    const int ARows = GetRowsPerColumn();
    const int AVisible = GetVisibleCount();
    int ATop = 0;
    while (ATop + AVisible < GetCount())
      ATop += ARows;
    return ATop;
  }
  const TRect AArea = GetItemsArea();
  const int AHeight = AArea.bottom - AArea.top;
  int ATop = GetCount() - 1;
  int AUsed = MeasureItem(ATop);
  while (ATop > 0 && AUsed + MeasureItem(ATop - 1) <= AHeight)
    AUsed += MeasureItem(--ATop);
  return ATop;
}

TRect TdxCustomListBox::ItemRect(int AIndex)
{
  const TRect AArea = GetItemsArea();
  if (AIndex < FTopIndex)
    return TRect{AArea.left, AArea.top, AArea.right, AArea.top};
  // Right to left, the first column lies at the right and the next ones
  // follow to the left.
  const bool rightToLeft = UseRightToLeftAlignment() && FColumns > 0;
  int X = rightToLeft ? AArea.right - FColumnWidth : AArea.left;
  int Y = AArea.top;
  for (int I = FTopIndex;; ++I) {
    const int AHeight = MeasureItem(I);
    if (FColumns > 0 && Y > AArea.top && Y + AHeight > AArea.bottom) {
      X += rightToLeft ? -FColumnWidth : FColumnWidth;
      Y = AArea.top;
    }
    if (I == AIndex)
      return TRect{X, Y, X + FColumnWidth, Y + AHeight};
    Y += AHeight;
  }
}

void TdxCustomListBox::SplitItemRect(int AIndex, const TRect& ARect, TRect& AItemRect, TRect& ASeparatorRect)
{
  AItemRect = ARect;
  ASeparatorRect = TRect{ARect.left, ARect.bottom, ARect.right, ARect.bottom};
  if (ItemHasSeparator(AIndex)) {
    AItemRect.bottom = ARect.bottom - (ARect.bottom - ARect.top - FItemHeight);
    ASeparatorRect.top = AItemRect.bottom;
  }
}

TRect TdxCustomListBox::ItemPartRect(int AIndex)
{
  TRect AItemRect;
  TRect ASeparatorRect;
  SplitItemRect(AIndex, ItemRect(AIndex), AItemRect, ASeparatorRect);
  return AItemRect;
}

int TdxCustomListBox::CalculateItemHeight()
{
  TcxScreenCanvas* ACanvas = cxScreenCanvas();
  ACanvas->GetFont()->Assign(GetFont());
  {
    vcl::TFontStyles AStyle = ACanvas->GetFont()->GetStyle();
    AStyle.Include(vcl::TFontStyle::fsBold);
    ACanvas->GetFont()->SetStyle(AStyle);
  }
  TEXTMETRICW AMetrics{};
  GetTextMetricsW(ACanvas->GetHandle(), &AMetrics);
  const TRect M = GetContentMargins();
  const TRect T = GetTextMargins();
  return std::max(static_cast<int>(GetImageSize().cy + M.top + M.bottom), static_cast<int>(T.top + T.bottom + AMetrics.tmHeight));
}

TSize TdxCustomListBox::CalculateContentSize(int AMaxVisibleItemsCount)
{
  TcxScreenCanvas* ACanvas = cxScreenCanvas();
  ACanvas->GetFont()->Assign(GetFont());
  {
    vcl::TFontStyles AStyle = ACanvas->GetFont()->GetStyle();
    AStyle.Include(vcl::TFontStyle::fsBold);
    ACanvas->GetFont()->SetStyle(AStyle);
  }
  int AWidth = 0;
  for (int I = 0; I < GetCount(); ++I)
    AWidth = std::max(AWidth, ACanvas->TextWidth(FItems->GetItem(I)->GetCaption()));
  const TRect T = GetTextMargins();
  AWidth += T.left + T.right + GetSystemMetrics(SM_CXVSCROLL) * GetScaleFactor()->Apply(96) / 96 + GetImagesAreaWidth();
  int AHeight = 0;
  for (int I = 0; I < std::min(GetCount(), AMaxVisibleItemsCount); ++I)
    AHeight += MeasureItem(I);
  const int ABorder = 2 * GetBorderSize();
  return TSize{AWidth + ABorder, AHeight + ABorder};
}

void TdxCustomListBox::CheckTopIndex()
{
  FTopIndex = std::clamp(FTopIndex, 0, MaxTopIndex());
}

void TdxCustomListBox::CheckItemIndex()
{
  if (FItemIndex >= GetCount())
    SetItemIndex(GetCount() - 1);
}

void TdxCustomListBox::Calculate()
{
  if (FItemAutoHeight)
    FItemHeight = CalculateItemHeight();
  const TRect AArea = GetItemsArea();
  const int AWidth = AArea.right - AArea.left;
  if (FColumns < 1)
    FColumnWidth = AWidth - (GetCount() * FItemHeight > AArea.bottom - AArea.top ? GetVScrollBarDefaultWidth() : 0);
  else
    FColumnWidth = AWidth / FColumns;
  CheckTopIndex();
  CheckItemIndex();
  UpdateScrollBars();
  UpdateHotIndex();
}

void TdxCustomListBox::LayoutChanged()
{
  if (FItems->IsLocked() || IsDestroying())
    return;
  Calculate();
  Invalidate();
}

void TdxCustomListBox::BoundsChanged()
{
  inherited::BoundsChanged();
  LayoutChanged();
}

void TdxCustomListBox::FontChanged()
{
  inherited::FontChanged();
  LayoutChanged();
}

void TdxCustomListBox::InitScrollBarsParameters()
{
  const TScrollBarKind AKind = FColumns > 0 ? TScrollBarKind::sbHorizontal : TScrollBarKind::sbVertical;
  const TScrollBarKind AOther = FColumns > 0 ? TScrollBarKind::sbVertical : TScrollBarKind::sbHorizontal;
  SetScrollBarInfo(AKind, 0, GetCount() - 1, GetRowsPerColumn(), GetVisibleCount(), FTopIndex, true, true);
  SetScrollBarInfo(AOther, 0, 0, 1, 1, 0, false, true);
}

void TdxCustomListBox::SetTopIndex(int AValue)
{
  AValue = std::clamp(AValue, 0, MaxTopIndex());
  if (FTopIndex == AValue)
    return;
  FTopIndex = AValue;
  LayoutChanged();
}

void TdxCustomListBox::MakeVisible(int AIndex)
{
  if (!FItems->IsValidIndex(AIndex))
    return;
  const int AVisible = GetVisibleCount();
  if (FColumns > 0) {
    if (AIndex >= FTopIndex && AIndex < FTopIndex + AVisible)
      return;
    const int ARows = GetRowsPerColumn();
    if (AIndex < FTopIndex) {
      SetTopIndex(AIndex / ARows * ARows);
      return;
    }
    int ATop = 0;
    while (ATop + AVisible <= AIndex && ATop < MaxTopIndex())
      ATop += ARows;
    SetTopIndex(ATop);
    return;
  }
  if (AIndex < FTopIndex) {
    SetTopIndex(AIndex);
    return;
  }
  if (AIndex < FTopIndex + AVisible)
    return;
  // Scroll until AIndex is the last whole row.
  const TRect AArea = GetItemsArea();
  int ATop = AIndex;
  int AUsed = MeasureItem(AIndex);
  while (ATop > 0 && AUsed + MeasureItem(ATop - 1) <= AArea.bottom - AArea.top)
    AUsed += MeasureItem(--ATop);
  SetTopIndex(ATop);
}

// ---------------------------------------------------------------------------
// Selection and navigation

void TdxCustomListBox::InvalidateItem(int AIndex)
{
  if (FItems->IsValidIndex(AIndex) && HandleAllocated()) {
    const TRect R = ItemRect(AIndex);
    ::InvalidateRect(GetHandle(), &R, FALSE);
  }
}

void TdxCustomListBox::SetItemIndex(int AValue)
{
  if (GetCount() > 0 && AValue >= GetCount())
    AValue = GetCount() - 1;
  if (FItemIndex == AValue)
    return;
  InvalidateItem(FItemIndex);
  FItemIndex = AValue;
  InvalidateItem(FItemIndex);
  if (FItemIndex >= 0)
    MakeVisible(FItemIndex);
  Click();
}

int TdxCustomListBox::FindSelectableIndex(int AIndex, bool AForward, bool ALooped)
{
  if (AIndex < 0)
    return AForward || !ALooped ? 0 : GetCount() - 1;
  if (AIndex >= GetCount())
    return AForward && ALooped ? 0 : GetCount() - 1;
  return AIndex;
}

void TdxCustomListBox::SelectItem(int AIndex)
{
  if (GetCount() > 0 && CanSelectItem(AIndex))
    SetItemIndex(AIndex);
}

void TdxCustomListBox::MoveSelection(int ADelta)
{
  SelectItem(FindSelectableIndex(FItemIndex + ADelta, ADelta > 0, FLoopedNavigation && FColumns < 1));
}

void TdxCustomListBox::KeyDown(WORD& AKey, vcl::TShiftState AShift)
{
  inherited::KeyDown(AKey, AShift);
  const bool ACtrl = AShift.Contains(vcl::TShiftStateItem::ssCtrl);
  const int AVisible = GetVisibleCount();
  const int ARows = GetRowsPerColumn();
  bool AHandled = true;
  switch (AKey) {
    case VK_HOME:
      SelectItem(0);
      break;
    case VK_END:
      SelectItem(GetCount() - 1);
      break;
    case VK_PRIOR:
      if (ACtrl)
        SelectItem(0);
      else if (FColumns > 0 && FItemIndex - AVisible < 0)
        SelectItem(0);
      else
        MoveSelection(-AVisible);
      break;
    case VK_NEXT:
      if (ACtrl)
        SelectItem(GetCount() - 1);
      else
        MoveSelection(FColumns > 0 && FTopIndex == 0 && FItemIndex == 0 ? AVisible - 1 : AVisible);
      break;
    case VK_UP:
      MoveSelection(-1);
      break;
    case VK_DOWN:
      MoveSelection(1);
      break;
    case VK_LEFT:
    case VK_RIGHT:
      if (FColumns > 0) {
        const bool ABack = (AKey == VK_LEFT) != UseRightToLeftAlignment();
        MoveSelection(ABack ? -ARows : ARows);
      }
      break;
    default:
      AHandled = false;
  }
  if (AHandled) {
    AKey = 0;
    ResetSearchText();
  }
}

bool TdxCustomListBox::IsCaptionMatch(const rtl::String& ACaption, const rtl::String& ASearchText)
{
  return ACaption.size() >= ASearchText.size() &&
         rtl::AnsiSameText(ACaption.substr(0, ASearchText.size()), ASearchText);
}

bool TdxCustomListBox::DoIncrementalSearch(wchar_t AKey)
{
  const DWORD ANow = FTickSource();
  if (ANow - FStartIncrementalSearch > FAutoCompleteDelay)
    ResetSearchText();
  FStartIncrementalSearch = ANow;
  FSearchText += AKey;
  const int AStart = std::max(FItemIndex, 0);
  for (int AStep = 0; AStep < GetCount(); ++AStep) {
    const int I = (AStart + AStep) % GetCount();
    if (IsCaptionMatch(FItems->GetItem(I)->GetCaption(), FSearchText)) {
      SelectItem(I);
      return true;
    }
  }
  return false;
}

void TdxCustomListBox::KeyPress(wchar_t& AKey)
{
  inherited::KeyPress(AKey);
  if (FIncrementalSearch && GetCount() > 0 && IsSearchKey(AKey) && DoIncrementalSearch(AKey))
    AKey = 0;
}

int TdxCustomListBox::ItemAtPos(const TPoint& APoint, bool AExistOnly)
{
  const TRect AArea = GetItemsArea();
  if (!PtInRect(&AArea, APoint))
    return -1;
  for (int I = FTopIndex; I < GetCount(); ++I) {
    const TRect R = ItemPartRect(I);
    if (R.left >= AArea.right || R.right <= AArea.left || (FColumns < 1 && R.top >= AArea.bottom))
      break;
    if (PtInRect(&R, APoint))
      return I;
  }
  return AExistOnly ? FItemIndex : GetCount();
}

void TdxCustomListBox::MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  inherited::MouseDown(AButton, AShift, X, Y);
  FHintHelper->MouseDown();
  const TRect AArea = GetItemsArea();
  const TPoint P{X, Y};
  if (AButton == vcl::TMouseButton::mbLeft && PtInRect(&AArea, P))
    SelectItem(ItemAtPos(P, true));
  Click();
}

bool TdxCustomListBox::CanHotTrack()
{
  return HandleAllocated() && Focused() && !Dragging();
}

void TdxCustomListBox::SetHotIndex(int AIndex)
{
  if (FHotIndex == AIndex)
    return;
  InvalidateItem(FHotIndex);
  FHotIndex = AIndex;
  InvalidateItem(FHotIndex);
  UpdateHint();
}

bool TdxCustomListBox::NeedHint(int AIndex, rtl::String& AHintText, TRect& AItemRect, TRect& ATextRect)
{
  if (!FItems->IsValidIndex(AIndex) || !HandleAllocated())
    return false;
  const TItemParts parts = GetItemParts(AIndex, ItemRect(AIndex));
  AHintText = FItems->GetItem(AIndex)->GetCaption();
  AItemRect = parts.Item;
  ATextRect = parts.Text;
  TcxCanvas* ACanvas = GetCanvas();
  ACanvas->SetFont(GetFont());
  return ACanvas->TextWidth(AHintText) > ATextRect.right - ATextRect.left;
}

void TdxCustomListBox::UpdateHint()
{
  if (!FHintHelper)
    return;
  rtl::String AText;
  TRect AItemRect{};
  TRect ATextRect{};
  if (NeedHint(FHotIndex, AText, AItemRect, ATextRect))
    FHintHelper->ShowHint(AItemRect, ATextRect, AText, false, FItems->GetItem(FHotIndex), GetFont());
  else
    FHintHelper->CancelHint();
}

void TdxCustomListBox::UpdateHotIndex()
{
  if (!CanHotTrack()) {
    SetHotIndex(-1);
    return;
  }
  POINT P{};
  GetCursorPos(&P);
  ::ScreenToClient(GetHandle(), &P);
  const int AIndex = ItemAtPos(TPoint{P.x, P.y}, false);
  SetHotIndex(FItems->IsValidIndex(AIndex) ? AIndex : -1);
}

void TdxCustomListBox::MouseMove(vcl::TShiftState AShift, int X, int Y)
{
  inherited::MouseMove(AShift, X, Y);
  UpdateHotIndex();
}

void TdxCustomListBox::MouseLeave(vcl::TControl* AControl)
{
  inherited::MouseLeave(AControl);
  SetHotIndex(-1);
}

void TdxCustomListBox::Scroll(TScrollBarKind /*AScrollBarKind*/, TScrollCode AScrollCode, int& AScrollPos)
{
  const int ARows = GetRowsPerColumn();
  const int AVisible = GetVisibleCount();
  switch (AScrollCode) {
    case TScrollCode::scLineUp:
      SetTopIndex(FTopIndex - ARows);
      break;
    case TScrollCode::scLineDown:
      SetTopIndex(FTopIndex + ARows);
      break;
    case TScrollCode::scPageUp:
      SetTopIndex(FTopIndex - AVisible);
      break;
    case TScrollCode::scPageDown:
      SetTopIndex(FTopIndex + AVisible);
      break;
    case TScrollCode::scTrack:
    case TScrollCode::scPosition:
      SetTopIndex(FColumns > 0 ? AScrollPos / ARows * ARows : AScrollPos);
      break;
    case TScrollCode::scTop:
      SetTopIndex(0);
      break;
    case TScrollCode::scBottom:
      SetTopIndex(GetCount() - AVisible);
      break;
    default:
      return;
  }
  AScrollPos = FTopIndex;
}

// ---------------------------------------------------------------------------
// Painting

vcl::TColor TdxCustomListBox::GetBackgroundColor()
{
  const vcl::TColor AColor = GetPainter()->DefaultEditorBackgroundColor(!GetEnabled());
  return AColor == vcl::clDefault ? vcl::clWindow : AColor;
}

unsigned TdxCustomListBox::GetTextFlags()
{
  // Without cxtfShowPrefix an ampersand is shown as it stands.
  unsigned AFlags = cxtfSingleLine | cxtfAlignVCenter | cxtfEndEllipsis;
  AFlags |= UseRightToLeftAlignment() ? cxtfAlignRight : cxtfAlignLeft;
  if (UseRightToLeftReading())
    AFlags |= cxtfRtlReading;
  return AFlags;
}

vcl::TColor TdxCustomListBox::GetTextColor(TcxButtonState AState)
{
  const vcl::TColor AFontColor = GetFont()->GetColor();
  if (AFontColor != vcl::clWindowText)
    return AFontColor;
  switch (AState) {
    case TcxButtonState::cxbsPressed:
      return GetPainter()->DefaultSelectionTextColor();
    case TcxButtonState::cxbsHot:
      if (HighlightHotItem())
        return vcl::clHighlightText;
      break;
    default:
      break;
  }
  return GetPainter()->DefaultEditorTextColor(AState == TcxButtonState::cxbsDisabled);
}

void TdxCustomListBox::DrawBackground()
{
  GetPainter()->DrawBorder(GetCanvas(), GetBounds());
  GetCanvas()->FillRect(GetClientBounds(), GetBackgroundColor());
}

TdxCustomListBox::TItemParts TdxCustomListBox::GetItemParts(int AIndex, const TRect& ARect)
{
  TItemParts parts;
  SplitItemRect(AIndex, ARect, parts.Item, parts.Separator);
  const int AImagesWidth = GetImagesAreaWidth();
  parts.Background = parts.Item;
  parts.Background.left += AImagesWidth;
  const TRect M = GetContentMargins();
  parts.Image = TRect{parts.Item.left + M.left, parts.Item.top + M.top, parts.Item.left + AImagesWidth - M.right,
                      parts.Item.bottom - M.bottom};
  const TRect T = GetTextMargins();
  parts.Text = TRect{parts.Background.left + T.left, parts.Background.top + T.top, parts.Background.right - T.right,
                     parts.Background.bottom - T.bottom};
  parts.Separator.left += AImagesWidth;
  if (UseRightToLeftAlignment()) {
    const auto mirror = [&](TRect& R) {
      const int left = parts.Item.left + parts.Item.right - R.right;
      R.right = parts.Item.left + parts.Item.right - R.left;
      R.left = left;
    };
    mirror(parts.Background);
    mirror(parts.Image);
    mirror(parts.Text);
    mirror(parts.Separator);
  }
  return parts;
}

void TdxCustomListBox::DrawItem(int AIndex, const TRect& ARect, TcxButtonState AState)
{
  TcxCanvas* ACanvas = GetCanvas();
  const TItemParts parts = GetItemParts(AIndex, ARect);
  if (AState == TcxButtonState::cxbsPressed)
    ACanvas->FillRect(parts.Background, GetPainter()->DefaultSelectionColor());
  else if (AState == TcxButtonState::cxbsHot && HighlightHotItem())
    ACanvas->FillRect(parts.Background, vcl::clHighlight);
  TdxCustomListBoxItem* AItem = FItems->GetItem(AIndex);
  if (FImages && AItem->GetImageIndex() >= 0 && AItem->GetImageIndex() < FImages->GetCount()) {
    const TRect& AImageArea = parts.Image;
    const TSize ASize = GetImageSize();
    FImages->Draw(ACanvas->GetCanvas(), AImageArea.left + (AImageArea.right - AImageArea.left - ASize.cx) / 2,
                  AImageArea.top + (AImageArea.bottom - AImageArea.top - ASize.cy) / 2, AItem->GetImageIndex());
  }
  PrepareItemFont(AIndex);
  ACanvas->GetFont()->SetColor(GetTextColor(AState));
  ACanvas->DrawTexT(AItem->GetCaption(), parts.Text, static_cast<int>(GetTextFlags()));
  if (parts.Separator.bottom > parts.Separator.top)
    GetPainter()->DrawSeparator(ACanvas, parts.Separator, false);
}

void TdxCustomListBox::DrawItems()
{
  TcxCanvas* ACanvas = GetCanvas();
  const TRect AArea = GetItemsArea();
  ACanvas->SaveClipRegion();
  rtl::Finally ARestore([ACanvas] { ACanvas->RestoreClipRegion(); });
  ACanvas->IntersectClipRect(AArea);
  ACanvas->GetFont()->Assign(GetFont());
  ACanvas->GetBrush()->SetStyle(vcl::TBrushStyle::bsClear);
  for (int I = FTopIndex; I < GetCount(); ++I) {
    const TRect R = ItemRect(I);
    if (R.left >= AArea.right || R.top >= AArea.bottom)
      break;
    if (R.bottom > AArea.bottom && !DrawPartiallyVisibleItems()) {
      if (FColumns < 1)
        break;
      continue;
    }
    if (!ACanvas->RectVisible(R))
      continue;
    TcxButtonState AState = TcxButtonState::cxbsNormal;
    if (I == FItemIndex)
      AState = TcxButtonState::cxbsPressed;
    else if (I == FHotIndex)
      AState = TcxButtonState::cxbsHot;
    DrawItem(I, R, AState);
  }
}

void TdxCustomListBox::DoPaint()
{
  inherited::DoPaint();
  DrawBackground();
  DrawItems();
}

// ---------------------------------------------------------------------------
// The unit

namespace {

void dxCustomListBoxInitialization()
{
  rtl::RegisterClass(rtl::TPersistentClass::Of<TdxCustomListBox>());
}

void dxCustomListBoxFinalization()
{
  rtl::UnRegisterClass(rtl::TPersistentClass::Of<TdxCustomListBox>());
}

}  // namespace

RTL_UNIT(dxCustomListBox, &dxCustomListBoxInitialization, &dxCustomListBoxFinalization);
