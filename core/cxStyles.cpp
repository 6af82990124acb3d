#include "core/cxStyles.h"

#include <algorithm>

#include "platform/rtl/ClassesFiler.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Controls.h"

using vcl::clDefault;
using enum TcxStyleValue;

namespace {

template <class T>
void RemoveFrom(std::vector<T*>& AList, const T* AItem)
{
  std::erase(AList, AItem);
}

// Appends each index once, keeping the order of first appearance.
void AddIndex(std::vector<int>& AIndexes, int AIndex)
{
  if (std::find(AIndexes.begin(), AIndexes.end(), AIndex) == AIndexes.end())
    AIndexes.push_back(AIndex);
}

}  // namespace

// ---------------------------------------------------------------------------
// TcxCustomStyle

void TcxCustomStyle::BeforeDestruction()
{
  inherited::BeforeDestruction();
  while (!FListeners.empty()) {
    const std::size_t count = FListeners.size();
    FListeners.back()->StyleRemoved(this);
    // A listener that did not let go must not make this loop forever.
    if (FListeners.size() == count)
      FListeners.pop_back();
  }
}

void TcxCustomStyle::Destroy()
{
  SetStyleRepository(nullptr);
  FListeners.clear();
  inherited::Destroy();
}

int TcxCustomStyle::GetIndex() const
{
  return FStyleRepository ? FStyleRepository->StyleIndexOf(this) : -1;
}

void TcxCustomStyle::SetStyleRepository(TcxStyleRepository* AValue)
{
  if (FStyleRepository == AValue)
    return;
  if (FStyleRepository)
    RemoveFrom(FStyleRepository->FItems, this);
  FStyleRepository = AValue;
  if (AValue)
    AValue->FItems.push_back(this);
}

void TcxCustomStyle::Changed()
{
  // A listener may leave while it is told: walk a copy, the last first.
  const std::vector<IcxStyleChangeListener*> listeners = FListeners;
  for (auto it = listeners.rbegin(); it != listeners.rend(); ++it)
    if (std::find(FListeners.begin(), FListeners.end(), *it) != FListeners.end())
      (*it)->StyleChanged(this);
}

void TcxCustomStyle::ChangeScale(int, int) {}

void TcxCustomStyle::AddListener(IcxStyleChangeListener* AListener)
{
  if (std::find(FListeners.begin(), FListeners.end(), AListener) == FListeners.end())
    FListeners.push_back(AListener);
}

void TcxCustomStyle::RemoveListener(IcxStyleChangeListener* AListener)
{
  RemoveFrom(FListeners, AListener);
}

rtl::TComponent* TcxCustomStyle::GetParentComponent()
{
  return FStyleRepository;
}

void TcxCustomStyle::SetParentComponent(rtl::TComponent* AValue)
{
  if (!GetComponentState().Contains(rtl::TComponentStateFlag::csLoading) || rtl::Is<TcxStyleRepository>(AValue))
    SetStyleRepository(rtl::Is<TcxStyleRepository>(AValue) ? static_cast<TcxStyleRepository*>(AValue) : nullptr);
}

// ---------------------------------------------------------------------------
// TcxStyle

void TcxStyle::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FColor = clDefault;
  FTextColor = clDefault;
  FBitmap = rtl::New<vcl::TBitmap>();
  FBitmap->SetOnChange(rtl::TNotifyEvent::Bind<&TcxStyle::BitmapChanged>(this));
  FFont = rtl::New<vcl::TFont>();
  FFont->SetOnChange(rtl::TNotifyEvent::Bind<&TcxStyle::FontChanged>(this));
}

void TcxStyle::Destroy()
{
  rtl::FreeAndNil(FFont);
  rtl::FreeAndNil(FBitmap);
  inherited::Destroy();
}

void TcxStyle::Assign(rtl::TPersistent* ASource)
{
  if (!rtl::Is<TcxStyle>(ASource)) {
    inherited::Assign(ASource);
    return;
  }
  auto* source = static_cast<TcxStyle*>(ASource);
  SetBitmap(source->GetBitmap());
  SetColor(source->GetColor());
  SetFont(source->GetFont());
  SetTextColor(source->GetTextColor());
  SetAssignedValues(source->GetAssignedValues());
}

void TcxStyle::RestoreDefaults()
{
  FAssignedValues = {};
  FBitmap->SetOnChange(nullptr);
  FBitmap->Assign(nullptr);
  FBitmap->SetOnChange(rtl::TNotifyEvent::Bind<&TcxStyle::BitmapChanged>(this));
  FColor = clDefault;
  FTextColor = clDefault;
  Changed();
}

void TcxStyle::ChangeScale(int M, int D)
{
  inherited::ChangeScale(M, D);
  if (FAssignedValues.Contains(svFont))
    FFont->SetHeight(MulDiv(FFont->GetHeight(), M, D));
}

void TcxStyle::SetAssignedValues(TcxStyleValues AValue)
{
  if (FAssignedValues == AValue)
    return;
  FAssignedValues = AValue;
  Changed();
}

void TcxStyle::SetColor(vcl::TColor AValue)
{
  if (FColor == AValue)
    return;
  FColor = AValue;
  Mark(svColor, AValue != clDefault);
  Changed();
}

void TcxStyle::SetTextColor(vcl::TColor AValue)
{
  if (FTextColor == AValue)
    return;
  FTextColor = AValue;
  Mark(svTextColor, AValue != clDefault);
  Changed();
}

void TcxStyle::Mark(TcxStyleValue AValue, bool AAssigned)
{
  if (AAssigned)
    FAssignedValues.Include(AValue);
  else
    FAssignedValues.Exclude(AValue);
}

void TcxStyle::BitmapChanged(rtl::TObject*)
{
  Mark(svBitmap, !FBitmap->GetEmpty());
  Changed();
}

void TcxStyle::FontChanged(rtl::TObject*)
{
  Mark(svFont, true);
  Changed();
}

// ---------------------------------------------------------------------------
// TcxCustomStyles

void TcxCustomStyles::Create(rtl::TPersistent* AOwner)
{
  inherited::Create(AOwner);
}

void TcxCustomStyles::Destroy()
{
  FDestroying = true;
  while (!FItems.empty()) {
    FItems.back().Item->RemoveListener(this);
    FItems.pop_back();
  }
  SetStyleSheet(nullptr);
  inherited::Destroy();
}

void TcxCustomStyles::Assign(rtl::TPersistent* ASource)
{
  if (rtl::Is<TcxCustomStyles>(ASource))
    SetStyleSheet(static_cast<TcxCustomStyles*>(ASource)->GetStyleSheet());
  else
    inherited::Assign(ASource);
}

bool TcxCustomStyles::Find(int AIndex, int& APosition) const
{
  const auto it = std::lower_bound(FItems.begin(), FItems.end(), AIndex,
                                   [](const TcxCustomStylesItem& AItem, int AValue) { return AItem.Index < AValue; });
  APosition = static_cast<int>(it - FItems.begin());
  return it != FItems.end() && it->Index == AIndex;
}

bool TcxCustomStyles::IsOwnerWriting()
{
  rtl::TPersistent* owner = GetOwner();
  return rtl::Is<rtl::TComponent>(owner) &&
         static_cast<rtl::TComponent*>(owner)->GetComponentState().Contains(rtl::TComponentStateFlag::csWriting);
}

TcxCustomStyle* TcxCustomStyles::GetValue(int AIndex)
{
  int position;
  if (Find(AIndex, position))
    return FItems[position].Item;
  if (FStyleSheet && !IsOwnerWriting())
    return FStyleSheet->GetStyles()->GetValue(AIndex);
  return nullptr;
}

void TcxCustomStyles::SetValue(int AIndex, TcxCustomStyle* AValue)
{
  if (AValue && !AValue->GetName().empty()) {
    // A style of the form this one inherits from: the inherited form's own
    // style of that name.
    rtl::TPersistent* root = GetOwner();
    while (root && root->GetOwner())
      root = root->GetOwner();
    rtl::TComponent* styleOwner = AValue->GetOwner();
    if (rtl::Is<rtl::TComponent>(root) && styleOwner && root != styleOwner &&
        root->InheritsFrom(styleOwner->ClassType())) {
      rtl::TComponent* same = static_cast<rtl::TComponent*>(root)->FindComponent(AValue->GetName());
      AValue = rtl::Is<TcxCustomStyle>(same) ? static_cast<TcxCustomStyle*>(same) : nullptr;
    }
  }
  if (AValue == GetValue(AIndex))
    return;
  int position;
  if (Find(AIndex, position)) {
    FItems[position].Item->RemoveListener(this);
    if (AValue) {
      FItems[position].Item = AValue;
      AValue->AddListener(this);
    } else
      FItems.erase(FItems.begin() + position);
    DoChanged(AIndex);
  } else if (AValue) {
    FItems.insert(FItems.begin() + position, TcxCustomStylesItem{AIndex, AValue});
    AValue->AddListener(this);
    DoChanged(AIndex);
  }
}

void TcxCustomStyles::ResetStyles()
{
  // By the indexes the items hold: a collection with gaps in its indexes
  // is emptied too.
  while (!FItems.empty())
    DeleteItem(GetCount() - 1);
}

void TcxCustomStyles::DeleteItem(int APosition)
{
  const int index = FItems[APosition].Index;
  FItems[APosition].Item->RemoveListener(this);
  FItems.erase(FItems.begin() + APosition);
  DoChanged(index);
}

bool TcxCustomStyles::IsValidStyleSheet(TcxCustomStyleSheet* AStyleSheet)
{
  if (!AStyleSheet)
    return true;
  if (AStyleSheet == FOwnerStyleSheet || AStyleSheet->GetStylesClass().ClassType() != ClassType())
    return false;
  // Every chain in place was checked when it was made, so it ends.
  for (TcxCustomStyleSheet* sheet = AStyleSheet->GetStyles()->GetStyleSheet(); sheet;
       sheet = sheet->GetStyles()->GetStyleSheet())
    if (sheet == FOwnerStyleSheet)
      return false;
  return true;
}

void TcxCustomStyles::CollectIndexes(TcxCustomStyleSheet* AStyleSheet, std::vector<int>& AIndexes)
{
  // The chain is free of cycles: IsValidStyleSheet refused them.
  for (TcxCustomStyleSheet* sheet = AStyleSheet; sheet; sheet = sheet->GetStyles()->GetStyleSheet())
    for (const TcxCustomStylesItem& item : sheet->GetStyles()->FItems)
      AddIndex(AIndexes, item.Index);
}

void TcxCustomStyles::SetStyleSheet(TcxCustomStyleSheet* AValue)
{
  if (AValue == FStyleSheet || !IsValidStyleSheet(AValue))
    return;
  std::vector<int> indexes;
  if (!FDestroying)
    CollectIndexes(FStyleSheet, indexes);
  CollectIndexes(AValue, indexes);
  if (FStyleSheet)
    RemoveFrom(FStyleSheet->FStylesList, this);
  FStyleSheet = AValue;
  if (AValue)
    AValue->FStylesList.push_back(this);
  for (int index : indexes)
    DoChanged(index);
}

void __stdcall TcxCustomStyles::StyleChanged(TcxCustomStyle* Sender)
{
  for (int i = 0; i < GetCount(); ++i)
    if (FItems[i].Item == Sender)
      DoChanged(FItems[i].Index);
}

void __stdcall TcxCustomStyles::StyleRemoved(TcxCustomStyle* Sender)
{
  for (int i = GetCount() - 1; i >= 0; --i)
    if (FItems[i].Item == Sender)
      DeleteItem(i);
}

void TcxCustomStyles::Changed(int) {}

void TcxCustomStyles::DoChanged(int AIndex)
{
  if (FDestroying)
    return;
  Changed(AIndex);
  if (FOwnerStyleSheet)
    FOwnerStyleSheet->DoStylesChanged(AIndex);
}

// ---------------------------------------------------------------------------
// TcxCustomStyleSheet

void TcxCustomStyleSheet::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FBuiltIn = IsDesigning();
  FStyles = GetStylesClass().Create(this);
  FStyles->FOwnerStyleSheet = this;
}

void TcxCustomStyleSheet::Destroy()
{
  while (!FStylesList.empty())
    FStylesList.back()->SetStyleSheet(nullptr);
  SetStyleRepository(nullptr);
  rtl::FreeAndNil(FStyles);
  inherited::Destroy();
}

void TcxCustomStyleSheet::Assign(rtl::TPersistent* ASource)
{
  if (!rtl::Is<TcxCustomStyleSheet>(ASource)) {
    inherited::Assign(ASource);
    return;
  }
  auto* source = static_cast<TcxCustomStyleSheet*>(ASource);
  SetCaption(source->GetCaption());
  SetStyles(source->GetStyles());
}

void TcxCustomStyleSheet::CopyFrom(TcxCustomStyleSheet* AStyleSheet)
{
  if (!AStyleSheet || AStyleSheet->GetStylesClass().ClassType() != GetStylesClass().ClassType())
    return;
  const int targetDPI = FStyleRepository ? FStyleRepository->GetPixelsPerInch() : dxDefaultDPI;
  TcxStyleRepository* sourceRepository = AStyleSheet->GetStyleRepository();
  const int sourceDPI = sourceRepository ? sourceRepository->GetPixelsPerInch() : dxDefaultDPI;
  TcxCustomStyles* source = AStyleSheet->GetStyles();
  for (int i = 0; i < source->GetCount(); ++i) {
    TcxCustomStyle* sourceStyle = source->GetItem(i).Item;
    const TcxCustomStyleClass styleClass(sourceStyle->ClassType());
    TcxCustomStyle* style = FStyleRepository ? FStyleRepository->CreateItemEx(styleClass, FStyleRepository->GetOwner())
                                             : styleClass.Create(GetOwner());
    style->Assign(sourceStyle);
    if (targetDPI != sourceDPI)
      style->ChangeScale(targetDPI, sourceDPI);
    FStyles->SetValue(source->GetItem(i).Index, style);
  }
}

rtl::String TcxCustomStyleSheet::GetCaption() const
{
  return FCaption.empty() ? GetName() : FCaption;
}

void TcxCustomStyleSheet::SetCaption(const rtl::String& AValue)
{
  // A caption equal to the name follows the name's later changes.
  FCaption = rtl::SameText(AValue, GetName()) ? rtl::String() : AValue;
}

int TcxCustomStyleSheet::GetIndex() const
{
  return FStyleRepository ? FStyleRepository->StyleSheetIndexOf(this) : -1;
}

void TcxCustomStyleSheet::SetStyleRepository(TcxStyleRepository* AValue)
{
  if (FStyleRepository == AValue)
    return;
  if (FStyleRepository)
    RemoveFrom(FStyleRepository->FStyleSheets, this);
  FStyleRepository = AValue;
  if (AValue)
    AValue->FStyleSheets.push_back(this);
}

void TcxCustomStyleSheet::SetStyles(TcxCustomStyles* AValue)
{
  FStyles->Assign(AValue);
}

rtl::TComponent* TcxCustomStyleSheet::GetParentComponent()
{
  return FStyleRepository;
}

void TcxCustomStyleSheet::SetParentComponent(rtl::TComponent* AValue)
{
  if (!IsLoading() || rtl::Is<TcxStyleRepository>(AValue))
    SetStyleRepository(rtl::Is<TcxStyleRepository>(AValue) ? static_cast<TcxStyleRepository*>(AValue) : nullptr);
}

void TcxCustomStyleSheet::DefineProperties(rtl::TFiler* AFiler)
{
  inherited::DefineProperties(AFiler);
  AFiler->DefineProperty(L"BuiltIn", rtl::TReaderProc::Bind<&TcxCustomStyleSheet::ReadBuiltIn>(this),
                         rtl::TWriterProc::Bind<&TcxCustomStyleSheet::WriteBuiltIn>(this), FBuiltIn);
}

void TcxCustomStyleSheet::ReadBuiltIn(rtl::TReader* AReader)
{
  FBuiltIn = AReader->ReadBoolean();
}

void TcxCustomStyleSheet::WriteBuiltIn(rtl::TWriter* AWriter)
{
  AWriter->WriteBoolean(FBuiltIn);
}

void TcxCustomStyleSheet::GetFakeComponentLinks(std::vector<rtl::TComponent*>& AList)
{
  for (int i = 0; i < FStyles->GetCount(); ++i) {
    rtl::TComponent* owner = FStyles->GetItem(i).Item->GetOwner();
    if (owner && owner != GetOwner() && std::find(AList.begin(), AList.end(), owner) == AList.end())
      AList.push_back(owner);
  }
}

void TcxCustomStyleSheet::DoStylesChanged(int AIndex)
{
  const std::vector<TcxCustomStyles*> users = FStylesList;
  for (TcxCustomStyles* user : users)
    user->DoChanged(AIndex);
}

// ---------------------------------------------------------------------------
// TcxStyleRepository

void TcxStyleRepository::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  SetScalable(true);
}

void TcxStyleRepository::Destroy()
{
  Clear();
  ClearStyleSheets();
  inherited::Destroy();
}

TcxCustomStyle* TcxStyleRepository::CreateItem(TcxCustomStyleClass AStyleClass)
{
  return CreateItemEx(AStyleClass, this);
}

TcxCustomStyle* TcxStyleRepository::CreateItemEx(TcxCustomStyleClass AStyleClass, rtl::TComponent* AOwner)
{
  TcxCustomStyle* style = AStyleClass.Create(AOwner);
  style->SetStyleRepository(this);
  return style;
}

TcxCustomStyleSheet* TcxStyleRepository::CreateStyleSheet(TcxCustomStyleSheetClass AStyleSheetClass)
{
  return CreateStyleSheetEx(AStyleSheetClass, this);
}

TcxCustomStyleSheet* TcxStyleRepository::CreateStyleSheetEx(TcxCustomStyleSheetClass AStyleSheetClass,
                                                            rtl::TComponent* AOwner)
{
  TcxCustomStyleSheet* sheet = AStyleSheetClass.Create(AOwner);
  sheet->SetStyleRepository(this);
  return sheet;
}

void TcxStyleRepository::Clear()
{
  while (!FItems.empty())
    rtl::Free(FItems.back());
}

void TcxStyleRepository::ClearStyleSheets()
{
  while (!FStyleSheets.empty())
    rtl::Free(FStyleSheets.back());
}

int TcxStyleRepository::StyleIndexOf(const TcxCustomStyle* AStyle) const
{
  const auto it = std::find(FItems.begin(), FItems.end(), AStyle);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

int TcxStyleRepository::StyleSheetIndexOf(const TcxCustomStyleSheet* AStyleSheet) const
{
  const auto it = std::find(FStyleSheets.begin(), FStyleSheets.end(), AStyleSheet);
  return it == FStyleSheets.end() ? -1 : static_cast<int>(it - FStyleSheets.begin());
}

void __stdcall TcxStyleRepository::ChangeScale(int M, int D)
{
  inherited::ChangeScale(M, D);
  for (TcxCustomStyle* style : FItems)
    style->ChangeScale(M, D);
}

void TcxStyleRepository::GetChildren(const rtl::TGetChildProc& AProc, rtl::TComponent* ARoot)
{
  for (TcxCustomStyle* style : FItems)
    if (style->GetOwner() == ARoot)
      AProc(style);
  for (TcxCustomStyleSheet* sheet : FStyleSheets)
    if (sheet->GetOwner() == ARoot)
      AProc(sheet);
}

// ---------------------------------------------------------------------------
// The unit

namespace {

// Styles are placed and streamed like the other non-visual components.
void cxStylesInitialization()
{
  rtl::GroupDescendentsWith(rtl::TPersistentClass::Of<TcxCustomStyle>(), rtl::TPersistentClass::Of<vcl::TControl>());
  rtl::GroupDescendentsWith(rtl::TPersistentClass::Of<TcxCustomStyleSheet>(),
                            rtl::TPersistentClass::Of<vcl::TControl>());
  rtl::GroupDescendentsWith(rtl::TPersistentClass::Of<TcxStyleRepository>(),
                            rtl::TPersistentClass::Of<vcl::TControl>());
  rtl::RegisterClasses({rtl::TPersistentClass::Of<TcxStyle>()});
}

void cxStylesFinalization()
{
  rtl::UnRegisterClasses({rtl::TPersistentClass::Of<TcxStyle>()});
}

}  // namespace

RTL_UNIT(cxStyles, &cxStylesInitialization, &cxStylesFinalization);
