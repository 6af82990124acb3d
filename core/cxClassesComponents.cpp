#include "core/cxClassesComponents.h"

#include <algorithm>
#include <vector>

#include "platform/rtl/SysUtils.h"

using enum TcxCollectionInternalStateFlag;
using enum TcxComponentCollectionNotification;
using enum rtl::TComponentStateFlag;
using enum rtl::TOperation;
using enum rtl::TValueType;

namespace {

// A form, told by the framework's class name, so this unit needs nothing of
// the forms unit.
bool IsForm(const rtl::TComponent* AComponent)
{
  for (rtl::TClass c = AComponent->ClassType(); c; c = c->ClassParent())
    if (c->ClassNameIs(L"TCustomForm"))
      return true;
  return false;
}

bool IsNameChar(wchar_t C)
{
  return (C >= L'a' && C <= L'z') || (C >= L'A' && C <= L'Z') || (C >= L'0' && C <= L'9') || C == L'_';
}

// Anything but ASCII letters, digits and "_" goes. The text is UTF-16, so a
// character outside ASCII (a surrogate pair too) goes whole.
rtl::String NameCharsOf(const rtl::String& AText)
{
  rtl::String result;
  for (wchar_t c : AText)
    if (IsNameChar(c))
      result += c;
  return result;
}

bool StartsText(const rtl::String& APrefix, const rtl::String& AText)
{
  return AText.size() >= APrefix.size() && rtl::SameText(AText.substr(0, APrefix.size()), APrefix);
}

// The class name less the given prefix, or else less a leading "T".
rtl::String ClassNameBase(rtl::TComponent* AComponent, const rtl::String& AClassPrefix)
{
  rtl::String name = AComponent->ClassName();
  if (!AClassPrefix.empty() && StartsText(AClassPrefix, name))
    return name.substr(AClassPrefix.size());
  if (!name.empty() && name[0] == L'T')
    name.erase(0, 1);
  return name;
}

bool IsNameUsedBelow(rtl::TComponent* AScope, const rtl::String& AName)
{
  for (int i = 0; i < AScope->GetComponentCount(); ++i) {
    rtl::TComponent* component = AScope->GetComponents(i);
    if (rtl::SameText(component->GetName(), AName) || IsNameUsedBelow(component, AName))
      return true;
  }
  return false;
}

}  // namespace

// ---------------------------------------------------------------------------
// TcxCustomComponent

void TcxCustomComponent::BeforeDestruction()
{
  inherited::BeforeDestruction();
  cxNotifyOwnerOfRemoval(this);
}

void TcxCustomComponent::EnumNamedParts(const TdxAdornerTargetElementEnumProc& /*AProc*/) {}

// ---------------------------------------------------------------------------
// TcxComponent

void TcxComponent::Destroy()
{
  cxResetWeakLinks(this);
  inherited::Destroy();
}

void TcxComponent::Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation)
{
  inherited::Notification(AComponent, AOperation);
  if (AOperation != opRemove)
    return;
  for (rtl::TComponent** link : {&FFakeComponentLink1, &FFakeComponentLink2, &FFakeComponentLink3})
    if (*link == AComponent)
      *link = nullptr;
}

void TcxComponent::Loaded()
{
  inherited::Loaded();
  if (!IsDesigning() || IsDestroying() || !GetOwner())
    return;
  std::vector<rtl::TComponent*> links;
  GetFakeComponentLinks(links);
  auto linkAt = [&](std::size_t i) { return i < links.size() ? links[i] : nullptr; };
  SetFakeComponentLink1(linkAt(0));
  SetFakeComponentLink2(linkAt(1));
  SetFakeComponentLink3(linkAt(2));
}

void TcxComponent::GetFakeComponentLinks(std::vector<rtl::TComponent*>& /*AList*/) {}

void TcxComponent::SetFakeComponentLink(rtl::TComponent*& ALink, rtl::TComponent* AValue)
{
  if (ALink == AValue)
    return;
  ALink = AValue;
  if (AValue)
    AValue->FreeNotification(this);
}

// ---------------------------------------------------------------------------
// TcxScalableComponent

void TcxScalableComponent::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FScalable = true;
  FScaleFactor = rtl::New<TdxScaleFactor>();
  FScaleFactor->Assign(dxGetComponentDPI(AOwner), dxDefaultDPI, false);
}

void TcxScalableComponent::Destroy()
{
  rtl::FreeAndNil(FScaleFactor);
  inherited::Destroy();
}

void TcxScalableComponent::ChangeScale(int M, int D)
{
  FScaleFactor->Change(M, D);
}

void TcxScalableComponent::ScaleForPPI(int ATargetPPI)
{
  const int current = GetPixelsPerInch();
  if (FScalable && ATargetPPI != current)
    ChangeScale(ATargetPPI, current);
}

void TcxScalableComponent::Loaded()
{
  inherited::Loaded();
  const int ownerDPI = dxGetComponentDPI(GetOwner());
  ScaleForPPI(ownerDPI);
  FScaleFactor->Assign(ownerDPI, dxDefaultDPI, false);
}

void TcxScalableComponent::DefineProperties(rtl::TFiler* AFiler)
{
  inherited::DefineProperties(AFiler);
  AFiler->DefineProperty(L"PixelsPerInch", rtl::TReaderProc::Bind<&TcxScalableComponent::ReadPixelsPerInch>(this),
                         rtl::TWriterProc::Bind<&TcxScalableComponent::WritePixelsPerInch>(this), true);
}

void TcxScalableComponent::ReadPixelsPerInch(rtl::TReader* AReader)
{
  FScaleFactor->Assign(AReader->ReadInteger(), dxDefaultDPI, true);
}

void TcxScalableComponent::WritePixelsPerInch(rtl::TWriter* AWriter)
{
  AWriter->WriteInteger(GetPixelsPerInch());
}

// ---------------------------------------------------------------------------
// TcxComponentCollectionItem

void TcxComponentCollectionItem::Destroy()
{
  SetCollection(nullptr);
  inherited::Destroy();
}

rtl::String TcxComponentCollectionItem::GetDisplayName()
{
  return GetName();
}

void TcxComponentCollectionItem::SetCollection(TcxComponentCollection* AValue)
{
  if (FCollection == AValue)
    return;
  if (FCollection)
    FCollection->RemoveItem(this);
  if (AValue)
    AValue->InsertItem(this);
}

int TcxComponentCollectionItem::GetIndex() const
{
  return FCollection ? FCollection->IndexOf(const_cast<TcxComponentCollectionItem*>(this)) : -1;
}

void TcxComponentCollectionItem::SetIndex(int AValue)
{
  const int current = GetIndex();
  if (current < 0 || current == AValue)
    return;
  FCollection->MoveItem(this, AValue);
  Changed(true);
}

rtl::TComponent* TcxComponentCollectionItem::GetParentComponent()
{
  return FCollection ? FCollection->GetParentComponent() : inherited::GetParentComponent();
}

bool TcxComponentCollectionItem::HasParent()
{
  return GetParentComponent() != nullptr;
}

void TcxComponentCollectionItem::SetParentComponent(rtl::TComponent* AValue)
{
  SetCollection(AValue ? GetCollectionFromParent(AValue) : nullptr);
}

void TcxComponentCollectionItem::Changed(bool AAllItems)
{
  if (!GetComponentState().Contains(csDestroying) && FCollection)
    FCollection->Notify(AAllItems ? nullptr : this, ccnChanged);
}

// ---------------------------------------------------------------------------
// TcxComponentCollection

void TcxComponentCollection::Create(rtl::TComponent* AParentComponent, TcxComponentCollectionItemClass AItemClass)
{
  inherited::Create();
  FParentComponent = AParentComponent;
  FItemClass = AItemClass;
}

void TcxComponentCollection::Destroy()
{
  FUpdateCount = 1;
  while (!FItems.empty())
    rtl::Free(FItems.back());
  inherited::Destroy();
}

TcxComponentCollectionItem* TcxComponentCollection::Add()
{
  return Add(FItemClass);
}

TcxComponentCollectionItem* TcxComponentCollection::Add(TcxComponentCollectionItemClass AItemClass)
{
  rtl::TComponent* owner = FParentComponent ? FParentComponent->GetOwner() : nullptr;
  TcxComponentCollectionItem* item = AItemClass.Create(owner);
  try {
    item->SetParentComponent(FParentComponent);
    AssignUniqueItemName(item, -1);
  } catch (...) {
    rtl::Free(item);
    throw;
  }
  return item;
}

TcxComponentCollectionItem* TcxComponentCollection::CreateDefaultItem()
{
  TcxComponentCollectionItem* item = FItemClass.Create(nullptr);
  try {
    item->SetParentComponent(FParentComponent);
  } catch (...) {
    rtl::Free(item);
    throw;
  }
  return item;
}

void TcxComponentCollection::ReadItemsFromStream(rtl::TReader* AReader)
{
  AReader->CheckValue(vaCollection);
  for (int i = 0; !AReader->EndOfList(); ++i) {
    const rtl::TValueType next = AReader->NextValue();
    if (next == vaInt8 || next == vaInt16 || next == vaInt32)
      AReader->ReadInteger();
    TcxComponentCollectionItem* item = i < GetCount() ? GetItem(i) : Add();
    AReader->ReadListBegin();
    while (!AReader->EndOfList())
      AReader->ReadProperty(item);
    AReader->ReadListEnd();
  }
  AReader->ReadListEnd();
}

TcxComponentCollectionItem* TcxComponentCollection::Insert(int AIndex)
{
  TcxComponentCollectionItem* item = Add();
  item->SetIndex(AIndex);
  return item;
}

void TcxComponentCollection::Delete(int AIndex)
{
  TcxComponentCollectionItem* item = GetItem(AIndex);
  ItemNotification(item, ccnDeleting);
  rtl::Free(item);
}

void TcxComponentCollection::Remove(TcxComponentCollectionItem* AItem)
{
  const int index = IndexOf(AItem);
  if (index >= 0)
    Delete(index);
}

void TcxComponentCollection::Clear()
{
  if (FItems.empty())
    return;
  BeginUpdate();
  rtl::Finally endUpdate([this] { EndUpdate(true); });
  while (!FItems.empty())
    rtl::Free(FItems.back());
}

TcxComponentCollectionItem* TcxComponentCollection::FindItemByID(int AID) const
{
  for (TcxComponentCollectionItem* item : FItems)
    if (item->FID == AID)
      return item;
  return nullptr;
}

int TcxComponentCollection::IndexOf(TcxComponentCollectionItem* AItem) const
{
  const auto found = std::find(FItems.begin(), FItems.end(), AItem);
  return found == FItems.end() ? -1 : static_cast<int>(found - FItems.begin());
}

void TcxComponentCollection::Assign(rtl::TPersistent* ASource)
{
  auto* source = rtl::Is<TcxComponentCollection>(ASource) ? static_cast<TcxComponentCollection*>(ASource) : nullptr;
  if (!source) {
    inherited::Assign(ASource);
    return;
  }
  if (source == this)
    return;
  BeginUpdate();
  rtl::Finally endUpdate([this] { EndUpdate(true); });
  Clear();
  for (TcxComponentCollectionItem* sourceItem : source->FItems)
    Add(TcxComponentCollectionItemClass(sourceItem->ClassType()))->Assign(sourceItem);
}

void TcxComponentCollection::BeginUpdate()
{
  ++FUpdateCount;
}

void TcxComponentCollection::EndUpdate(bool AForceUpdate)
{
  --FUpdateCount;
  if (AForceUpdate)
    Notify(nullptr, ccnChanged);
}

TcxComponentCollectionItem* TcxComponentCollection::GetItem(int AIndex) const
{
  if (AIndex < 0 || AIndex >= GetCount())
    rtl::ListIndexError(AIndex);
  return FItems[AIndex];
}

void TcxComponentCollection::SetItem(int AIndex, TcxComponentCollectionItem* AValue)
{
  GetItem(AIndex)->Assign(AValue);
}

rtl::TPersistent* TcxComponentCollection::GetOwner()
{
  return FParentComponent;
}

rtl::TComponent* TcxComponentCollection::GetOwnerControl()
{
  return nullptr;
}

rtl::String TcxComponentCollection::GetItemClassPrefix()
{
  return rtl::String();
}

rtl::String TcxComponentCollection::GetItemBaseName()
{
  return rtl::String();
}

void TcxComponentCollection::ItemNotification(TcxComponentCollectionItem* /*AItem*/,
                                              TcxComponentCollectionNotification /*AAction*/)
{
}

// Names are scoped by the form: the owner control's, else the parent
// component's outermost form. Without a form the item's top owner scopes
// them (the application object, which would come next, owns no forms here).
void TcxComponentCollection::AssignUniqueItemName(TcxComponentCollectionItem* AItem, int AStartNumber)
{
  rtl::TComponent* scope = nullptr;
  if (rtl::TComponent* control = GetOwnerControl())
    scope = cxFindTopFormOwner(control);
  if (!scope)
    scope = cxFindTopFormOwner(FParentComponent);
  AItem->SetName(cxGenerateComponentName(scope, FParentComponent, AItem, AStartNumber, GetItemClassPrefix(),
                                         GetItemBaseName()));
}

void TcxComponentCollection::DoChange(TcxComponentCollectionItem* AItem, TcxComponentCollectionNotification AAction)
{
  if (FOnChange)
    FOnChange(this, AItem, AAction);
}

void TcxComponentCollection::Notify(TcxComponentCollectionItem* AItem, TcxComponentCollectionNotification AAction)
{
  if (FUpdateCount == 0)
    DoChange(AItem, AAction);
}

void TcxComponentCollection::InsertItem(TcxComponentCollectionItem* AItem)
{
  if (!AItem->InheritsFrom(FItemClass))
    return;
  FItems.push_back(AItem);
  AItem->FCollection = this;
  AItem->FID = FNextID++;
  ItemNotification(AItem, ccnAdded);
  Notify(AItem, ccnAdded);
}

void TcxComponentCollection::RemoveItem(TcxComponentCollectionItem* AItem)
{
  ItemNotification(AItem, ccnExtracting);
  std::erase(FItems, AItem);
  AItem->FCollection = nullptr;
  ItemNotification(AItem, ccnExtracted);
  Notify(AItem, ccnExtracted);
}

void TcxComponentCollection::MoveItem(TcxComponentCollectionItem* AItem, int ANewIndex)
{
  if (ANewIndex < 0 || ANewIndex >= GetCount())
    rtl::ListIndexError(ANewIndex);
  std::erase(FItems, AItem);
  FItems.insert(FItems.begin() + ANewIndex, AItem);
}

// ---------------------------------------------------------------------------
// TcxInterfacedComponentCollection

HRESULT TcxInterfacedComponentCollection::QueryInterface(REFIID AIID, void** AObj)
{
  if (!AObj)
    return E_POINTER;
  return GetInterface(AIID, AObj) ? S_OK : E_NOINTERFACE;
}

ULONG TcxInterfacedComponentCollection::AddRef()
{
  return static_cast<ULONG>(-1);
}

ULONG TcxInterfacedComponentCollection::Release()
{
  return static_cast<ULONG>(-1);
}

// ---------------------------------------------------------------------------
// TcxInterfacedCollectionItem

void TcxInterfacedCollectionItem::AfterConstruction()
{
  inherited::AfterConstruction();
  rtl::IPtr<rtl::IInterface> owner;
  if (rtl::Supports<rtl::IInterface>(GetOwner(), &owner))
    FOwnerInterface = owner.Get();
}

HRESULT TcxInterfacedCollectionItem::QueryInterface(REFIID AIID, void** AObj)
{
  if (!AObj)
    return E_POINTER;
  return GetInterface(AIID, AObj) ? S_OK : E_NOINTERFACE;
}

ULONG TcxInterfacedCollectionItem::AddRef()
{
  return FOwnerInterface ? FOwnerInterface->AddRef() : static_cast<ULONG>(-1);
}

ULONG TcxInterfacedCollectionItem::Release()
{
  return FOwnerInterface ? FOwnerInterface->Release() : static_cast<ULONG>(-1);
}

// ---------------------------------------------------------------------------
// TcxOwnedInterfacedCollection

void TcxOwnedInterfacedCollection::Destroy()
{
  FInternalState.Include(cisDestroying);
  inherited::Destroy();
}

HRESULT TcxOwnedInterfacedCollection::QueryInterface(REFIID AIID, void** AObj)
{
  if (!AObj)
    return E_POINTER;
  return GetInterface(AIID, AObj) ? S_OK : E_NOINTERFACE;
}

ULONG TcxOwnedInterfacedCollection::AddRef()
{
  return static_cast<ULONG>(-1);
}

ULONG TcxOwnedInterfacedCollection::Release()
{
  return static_cast<ULONG>(-1);
}

void TcxOwnedInterfacedCollection::SetSorted(bool AValue)
{
  if (FSorted == AValue)
    return;
  FSorted = AValue;
  if (FSorted)
    Changed();
}

int TcxOwnedInterfacedCollection::CompareItemOrder(rtl::TCollectionItem* AItem1, rtl::TCollectionItem* AItem2)
{
  const int difference = AItem1->GetIndex() - AItem2->GetIndex();
  return (difference > 0) - (difference < 0);
}

// Every update but one already running: the sort's own index changes end
// in an update that must not start another sort.
void TcxOwnedInterfacedCollection::Update(rtl::TCollectionItem* AItem)
{
  if (FInternalState.Contains(cisUpdating))
    return;
  FInternalState.Include(cisUpdating);
  rtl::Finally clearUpdating([this] { FInternalState.Exclude(cisUpdating); });
  if (FSorted && !AItem)
    Sort();
  inherited::Update(AItem);
  if (!FInternalState.Contains(cisDestroying) && FOnChange)
    FOnChange(this, AItem);
}

void TcxOwnedInterfacedCollection::Sort()
{
  if (GetUpdateCount() > 0 || FInternalState.Contains(cisSorting))
    return;
  FInternalState.Include(cisSorting);
  rtl::Finally clearSorting([this] { FInternalState.Exclude(cisSorting); });
  rtl::TOwnedPtr<TcxStringList> list(rtl::New<TcxStringList>());
  for (int i = 0; i < GetCount(); ++i)
    list->AddObject(rtl::IntToStr(i), GetItems(i));
  list->SetOnCompare(TcxStringListCompareEvent::Bind<&TcxOwnedInterfacedCollection::CompareEntries>(this));
  list->Sort();
  BeginUpdate();
  rtl::Finally endUpdate([this] { EndUpdate(); });
  for (int i = 0; i < list->GetCount(); ++i)
    static_cast<rtl::TCollectionItem*>(list->GetObjects(i))->SetIndex(i);
}

// Items the handler finds equal keep their order: the list's sort is not
// stable, and every update would otherwise shuffle them anew.
int TcxOwnedInterfacedCollection::CompareEntries(rtl::TStringList* AList, int AIndex1, int AIndex2)
{
  auto* item1 = static_cast<rtl::TCollectionItem*>(AList->GetObjects(AIndex1));
  auto* item2 = static_cast<rtl::TCollectionItem*>(AList->GetObjects(AIndex2));
  const int result = FOnCompare ? FOnCompare(this, item1, item2) : 0;
  return result != 0 ? result : CompareItemOrder(item1, item2);
}

// ---------------------------------------------------------------------------
// TcxStringList

void TcxStringList::Sort()
{
  if (!FOnCompare) {
    inherited::Sort();
    return;
  }
  CustomSort([](rtl::TStringList* AList, int AIndex1, int AIndex2) {
    return static_cast<TcxStringList*>(AList)->FOnCompare(AList, AIndex1, AIndex2);
  });
}

// ---------------------------------------------------------------------------
// TcxComponentList

void TcxComponentList::Destroy()
{
  FUpdateCount = 1;
  inherited::Destroy();
}

void TcxComponentList::Clear()
{
  if (GetCount() > 0) {
    BeginUpdate();
    rtl::Finally endUpdate([this] { EndUpdate(); });
    while (GetCount() > 0)
      Delete(0);
  }
  inherited::Clear();
}

void TcxComponentList::EndUpdate()
{
  --FUpdateCount;
  DoComponentListChanged(nullptr, ccnChanged);
}

rtl::TComponentClass TcxComponentList::GetAcceptedClass()
{
  return rtl::TComponentClass::Of<rtl::TComponent>();
}

void TcxComponentList::NotifyItem(rtl::TComponent* AComponent, rtl::TListNotification AAction)
{
  inherited::Notify(AComponent, AAction);
  if (FOnNotify)
    FOnNotify(this, AComponent, AAction);
  constexpr TcxComponentCollectionNotification actions[] = {ccnAdded, ccnExtracted, ccnDeleting};
  DoComponentListChanged(AComponent, actions[AAction]);
}

void TcxComponentList::Notify(void* APtr, rtl::TListNotification AAction)
{
  auto* component = static_cast<rtl::TComponent*>(APtr);
  if (component->InheritsFrom(GetAcceptedClass()))
    NotifyItem(component, AAction);
  else if (AAction == rtl::lnAdded)
    Extract(component);
}

void TcxComponentList::DoComponentListChanged(rtl::TComponent* AComponent, TcxComponentCollectionNotification AAction)
{
  if (FUpdateCount == 0 && FOnComponentListChanged)
    FOnComponentListChanged(this, AComponent, AAction);
}

// ---------------------------------------------------------------------------
// Owner and naming routines

void cxNotifyOwnerOfRemoval(rtl::TComponent* AComponent)
{
  AComponent->RemoveFreeNotifications();
  if (rtl::TComponent* owner = AComponent->GetOwner())
    owner->Notification(AComponent, opRemove);
}

rtl::TPersistent* cxGetPersistentOwner(rtl::TPersistent* APersistent)
{
  return APersistent ? APersistent->GetOwner() : nullptr;
}

void cxCallNotifyEvent(const rtl::TNotifyEvent& AEvent, rtl::TObject* ASender)
{
  if (AEvent)
    AEvent(ASender);
}

rtl::TComponent* cxGetTopOwner(rtl::TComponent* AComponent)
{
  rtl::TComponent* result = AComponent;
  while (result && result->GetOwner())
    result = result->GetOwner();
  return result;
}

rtl::TComponent* cxFindTopFormOwner(rtl::TComponent* AComponent)
{
  rtl::TComponent* result = nullptr;
  for (rtl::TComponent* owner = AComponent ? AComponent->GetOwner() : nullptr; owner; owner = owner->GetOwner())
    if (IsForm(owner))
      result = owner;
  return result;
}

rtl::String cxGenerateComponentName(rtl::TComponent* AOwner, rtl::TComponent* AParentComponent,
                                    rtl::TComponent* AComponent, int AStartNumber,
                                    const rtl::String& AClassPrefix, const rtl::String& ABaseText)
{
  rtl::TComponent* scope = AOwner ? AOwner : cxGetTopOwner(AComponent);
  int counter = AStartNumber >= 0 ? AStartNumber : (ABaseText.empty() ? 1 : 0);
  rtl::String stem = NameCharsOf(ABaseText);
  if (AComponent && (stem.empty() || (stem[0] >= L'0' && stem[0] <= L'9')))
    stem = ClassNameBase(AComponent, AClassPrefix) + stem;
  if (AParentComponent)
    stem = AParentComponent->GetName() + stem;
  while (true) {
    rtl::String candidate = counter > 0 ? stem + rtl::IntToStr(counter) : stem;
    if (!scope || !IsNameUsedBelow(scope, candidate))
      return candidate;
    ++counter;
  }
}

rtl::String cxUniqueNameInOwner(rtl::TComponent* AComponent, const rtl::String& ABaseName, bool AWithFirstNumber)
{
  rtl::String result = ABaseName;
  rtl::TComponent* owner = AComponent ? AComponent->GetOwner() : nullptr;
  if (!owner)
    return result;
  int counter = 1;
  if (AWithFirstNumber)
    result = ABaseName + rtl::IntToStr(counter++);
  while (owner->FindComponent(result))
    result = ABaseName + rtl::IntToStr(counter++);
  return result;
}

void cxRenamePrefixedItems(rtl::TComponent* AContainer, rtl::TComponent* AOwner, const rtl::String& ANewPrefix,
                           const TcxGetComponentFunc& AGetItem, int ACount, const rtl::String& AOldPrefix)
{
  if (AContainer && AContainer->GetComponentState().Contains(csAncestor))
    return;
  for (int i = 0; i < ACount; ++i) {
    rtl::TComponent* item = AGetItem(i);
    if (!item || item->GetOwner() != AOwner)
      continue;
    const rtl::String& name = item->GetName();
    if (name.size() <= AOldPrefix.size() || !StartsText(AOldPrefix, name))
      continue;
    try {
      item->SetName(ANewPrefix + name.substr(AOldPrefix.size()));
    } catch (const rtl::EComponentError&) {
      // Refused as invalid or taken: this item keeps its name.
    }
  }
}
