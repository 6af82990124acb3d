#include "platform/rtl/ClassesComponents.h"

#include <algorithm>
#include <mutex>
#include <utility>

#include "platform/rtl/ClassesFiler.h"
#include "platform/rtl/SysUtilsFormat.h"

using enum rtl::TCollectionNotification;
using enum rtl::TComponentStateFlag;
using enum rtl::TComponentStyleFlag;
using enum rtl::TOperation;
using enum rtl::TTypeKind;

namespace rtl {

namespace {

template <class T>
bool Contains(const std::vector<T>& AList, const T& AItem)
{
  return std::find(AList.begin(), AList.end(), AItem) != AList.end();
}

template <class T>
void EraseFirst(std::vector<T>& AList, const T& AItem)
{
  if (const auto found = std::find(AList.begin(), AList.end(), AItem); found != AList.end())
    AList.erase(found);
}

}  // namespace

// ---------------------------------------------------------------------------
// TComponent

void TComponent::Create(TComponent* AOwner)
{
  FComponentStyle = {csInheritable};
  if (AOwner)
    AOwner->InsertComponent(this);
}

void TComponent::BeforeDestruction()
{
  if (!FComponentState.Contains(csDestroying))
    Destroying();
}

void TComponent::Destroy()
{
  Destroying();
  RemoveFreeNotifications();
  DestroyComponents();
  if (FOwner)
    FOwner->RemoveComponent(this);
  inherited::Destroy();
}

HRESULT TComponent::QueryInterface(REFIID AIID, void** AObj)
{
  if (!AObj)
    return E_POINTER;
  return GetInterface(AIID, AObj) ? S_OK : E_NOINTERFACE;
}

ULONG TComponent::AddRef()
{
  return static_cast<ULONG>(-1);
}

ULONG TComponent::Release()
{
  return static_cast<ULONG>(-1);
}

TComponent* TComponent::GetComponents(int AIndex) const
{
  if (AIndex < 0 || AIndex >= GetComponentCount())
    ListIndexError(AIndex);
  return FComponents[AIndex];
}

int TComponent::GetComponentIndex() const
{
  if (!FOwner)
    return -1;
  const auto& siblings = FOwner->FComponents;
  return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

void TComponent::SetComponentIndex(int AValue)
{
  if (!FOwner)
    return;
  auto& siblings = FOwner->FComponents;
  const int current = GetComponentIndex();
  const int target = std::clamp(AValue, 0, static_cast<int>(siblings.size()) - 1);
  if (target == current)
    return;
  siblings.erase(siblings.begin() + current);
  siblings.insert(siblings.begin() + target, this);
}

// A component that has an owner leaves it first, and only after its name
// proved free here, so a refused move leaves it where it was. (Inserting an
// owned component unchecked would leave it in two owners' lists.)
void TComponent::InsertComponent(TComponent* AComponent)
{
  if (AComponent->FOwner == this)
    return;
  ValidateInsert(AComponent);
  ValidateRename(AComponent, String(), AComponent->FName);
  if (AComponent->FOwner)
    AComponent->FOwner->RemoveComponent(AComponent);
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
  if (FComponentState.Contains(csDesigning))
    AComponent->SetDesigning(true);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent)
{
  if (AComponent->FOwner != this)
    return;
  ValidateRename(AComponent, AComponent->FName, String());
  Notification(AComponent, opRemove);
  EraseFirst(FComponents, AComponent);
  AComponent->FOwner = nullptr;
}

// Every component leaves through RemoveComponent, so this component and the
// remaining ones hear of each departure on their overrides while all of them
// are still whole.
void TComponent::DestroyComponents()
{
  while (!FComponents.empty()) {
    TComponent* instance = FComponents.back();
    RemoveComponent(instance);
    rtl::Free(instance);
  }
}

TComponent* TComponent::FindComponent(const String& AName) const
{
  if (AName.empty())
    return nullptr;
  for (TComponent* component : FComponents)
    if (SameText(component->FName, AName))
      return component;
  return nullptr;
}

void TComponent::SetName(const String& AValue)
{
  if (FName == AValue)
    return;
  if (!AValue.empty() && !IsValidIdent(AValue))
    throw EComponentError(Format(L"'%s' is not a valid component name", {AValue}));
  if (FOwner)
    FOwner->ValidateRename(this, FName, AValue);
  else
    ValidateRename(nullptr, FName, AValue);
  FName = AValue;
}

void TComponent::ValidateRename(TComponent* AComponent, const String& ACurName, const String& ANewName)
{
  if (!AComponent || SameText(ACurName, ANewName))
    return;
  const TComponent* holder = FindComponent(ANewName);
  if (holder && holder != AComponent)
    throw EComponentError(Format(L"A component named %s already exists", {ANewName}));
}

void TComponent::ValidateInsert(TComponent*) {}

// A component being destroyed gets no new link: past its
// RemoveFreeNotifications nobody would ever remove it, and the partner
// would be told of a dead object or keep one.
void TComponent::FreeNotification(TComponent* AComponent)
{
  if (!AComponent || AComponent == this)
    return;
  if (FComponentState.Contains(csDestroying) || AComponent->FComponentState.Contains(csDestroying))
    return;
  if (!FOwner || AComponent->FOwner != FOwner) {
    if (!Contains(FFreeNotifies, AComponent)) {
      FFreeNotifies.push_back(AComponent);
      AComponent->FreeNotification(this);
    }
  }
  FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent)
{
  if (!AComponent)
    return;
  DropFreeNotifier(AComponent);
  AComponent->DropFreeNotifier(this);
}

void TComponent::DropFreeNotifier(TComponent* AComponent)
{
  EraseFirst(FFreeNotifies, AComponent);
}

// The link goes before the subscriber hears, so a subscriber whose
// Notification does not call the inherited one is told once and the loop
// still ends.
void TComponent::RemoveFreeNotifications()
{
  while (!FFreeNotifies.empty()) {
    TComponent* subscriber = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    subscriber->DropFreeNotifier(this);
    subscriber->Notification(this, opRemove);
  }
}

// From the last component down; a notified component may free others, so
// the position is clamped to the list after each call.
void TComponent::Notification(TComponent* AComponent, TOperation AOperation)
{
  if (AOperation == opRemove && AComponent)
    RemoveFreeNotification(AComponent);
  int i = GetComponentCount() - 1;
  while (i >= 0) {
    FComponents[i]->Notification(AComponent, AOperation);
    --i;
    i = std::min(i, GetComponentCount() - 1);
  }
}

void TComponent::Destroying()
{
  if (FComponentState.Contains(csDestroying))
    return;
  FComponentState.Include(csDestroying);
  for (TComponent* component : FComponents)
    component->Destroying();
}

void TComponent::Updating()
{
  FComponentState.Include(csUpdating);
}

void TComponent::Updated()
{
  FComponentState.Exclude(csUpdating);
}

void TComponent::Loading()
{
  FComponentState.Include(csLoading);
}

void TComponent::Loaded()
{
  FComponentState.Exclude(csLoading);
}

void TComponent::ReadState(TReader* AReader)
{
  AReader->ReadData(this);
}

void TComponent::WriteState(TWriter* AWriter)
{
  AWriter->WriteData(this);
}

void TComponent::GetChildren(const TGetChildProc&, TComponent*) {}

TComponent* TComponent::GetChildOwner()
{
  return nullptr;
}

TComponent* TComponent::GetChildParent()
{
  return this;
}

TComponent* TComponent::GetParentComponent()
{
  return nullptr;
}

void TComponent::SetParentComponent(TComponent*) {}

bool TComponent::HasParent()
{
  return false;
}

String TComponent::GetNamePath()
{
  return FName;
}

void TComponent::SetDesigning(bool AValue, bool AChildren)
{
  AValue ? FComponentState.Include(csDesigning) : FComponentState.Exclude(csDesigning);
  if (AChildren)
    for (TComponent* component : FComponents)
      component->SetDesigning(AValue);
}

void TComponent::SetAncestor(bool AValue)
{
  AValue ? FComponentState.Include(csAncestor) : FComponentState.Exclude(csAncestor);
  for (TComponent* component : FComponents)
    component->SetAncestor(AValue);
}

void TComponent::SetInline(bool AValue)
{
  AValue ? FComponentState.Include(csInline) : FComponentState.Exclude(csInline);
}

void TComponent::SetDesignInstance(bool AValue)
{
  AValue ? FComponentState.Include(csDesignInstance) : FComponentState.Exclude(csDesignInstance);
}

void TComponent::SetSubComponent(bool AValue)
{
  AValue ? FComponentStyle.Include(csSubComponent) : FComponentStyle.Exclude(csSubComponent);
}

// ---------------------------------------------------------------------------
// TCollectionItem

void TCollectionItem::Create(TCollection* ACollection)
{
  SetCollection(ACollection);
}

void TCollectionItem::Destroy()
{
  SetCollection(nullptr);
  inherited::Destroy();
}

// The new collection's check comes first, so an item it refuses stays where
// it was instead of ending up in neither.
void TCollectionItem::SetCollection(TCollection* AValue)
{
  if (FCollection == AValue)
    return;
  if (AValue)
    AValue->CheckItemClass(this);
  if (FCollection)
    FCollection->RemoveItem(this);
  if (AValue)
    AValue->InsertItem(this);
}

int TCollectionItem::GetIndex() const
{
  if (!FCollection)
    return -1;
  const auto& items = FCollection->FItems;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int AValue)
{
  const int current = GetIndex();
  if (current < 0 || current == AValue)
    return;
  auto& items = FCollection->FItems;
  if (AValue < 0 || AValue >= static_cast<int>(items.size()))
    ListIndexError(AValue);
  items.erase(items.begin() + current);
  items.insert(items.begin() + AValue, this);
  Changed(true);
}

String TCollectionItem::GetDisplayName()
{
  return ClassName();
}

void TCollectionItem::SetDisplayName(const String&)
{
  Changed(false);
}

String TCollectionItem::GetNamePath()
{
  if (!FCollection)
    return ClassName();
  return Format(L"%s[%d]", {FCollection->GetNamePath(), GetIndex()});
}

TPersistent* TCollectionItem::GetOwner()
{
  return FCollection;
}

void TCollectionItem::Changed(bool AAllItems)
{
  if (FCollection && FCollection->FUpdateCount == 0)
    FCollection->Update(AAllItems ? nullptr : this);
}

// ---------------------------------------------------------------------------
// TCollection

void TCollection::Create(TCollectionItemClass AItemClass)
{
  FItemClass = AItemClass;
}

void TCollection::Destroy()
{
  FUpdateCount = 1;
  Clear();
  inherited::Destroy();
}

TCollectionItem* TCollection::Add()
{
  return FItemClass.Create(this);
}

TCollectionItem* TCollection::Insert(int AIndex)
{
  if (AIndex < 0 || AIndex > GetCount())
    ListIndexError(AIndex);
  TCollectionItem* item = Add();
  item->SetIndex(AIndex);
  return item;
}

void TCollection::Delete(int AIndex)
{
  TCollectionItem* item = GetItems(AIndex);
  Notify(item, cnDeleting);
  rtl::Free(item);
}

void TCollection::Clear()
{
  if (FItems.empty())
    return;
  BeginUpdate();
  Finally endUpdate([this] { EndUpdate(); });
  while (!FItems.empty())
    rtl::Free(FItems.back());
}

void TCollection::ClearAndResetID()
{
  Clear();
  FNextID = 0;
}

TCollectionItem* TCollection::FindItemID(int AID) const
{
  for (TCollectionItem* item : FItems)
    if (item->FID == AID)
      return item;
  return nullptr;
}

void TCollection::Move(int ACurIndex, int ANewIndex)
{
  GetItems(ACurIndex)->SetIndex(ANewIndex);
}

void TCollection::Assign(TPersistent* ASource)
{
  if (!Is<TCollection>(ASource)) {
    inherited::Assign(ASource);
    return;
  }
  auto* source = static_cast<TCollection*>(ASource);
  BeginUpdate();
  Finally endUpdate([this] { EndUpdate(); });
  Clear();
  for (TCollectionItem* item : source->FItems)
    Add()->Assign(item);
}

void TCollection::BeginUpdate()
{
  ++FUpdateCount;
}

void TCollection::EndUpdate()
{
  --FUpdateCount;
  Changed();
}

String TCollection::GetNamePath()
{
  TPersistent* owner = GetOwner();
  const String ownerPath = owner ? owner->GetNamePath() : String();
  if (ownerPath.empty())
    return ClassName();
  for (const TPropInfo* prop : GetPropList(owner, TTypeKinds{tkClass}))
    if (GetObjectProp(owner, prop) == this)
      return ownerPath + L"." + String(prop->Name);
  return ClassName();
}

TCollectionItem* TCollection::GetItems(int AIndex) const
{
  if (AIndex < 0 || AIndex >= GetCount())
    ListIndexError(AIndex);
  return FItems[AIndex];
}

void TCollection::SetItems(int AIndex, TCollectionItem* AValue)
{
  GetItems(AIndex)->Assign(AValue);
}

void TCollection::Changed()
{
  if (FUpdateCount == 0)
    Update(nullptr);
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::SetItemName(TCollectionItem*) {}

void TCollection::CheckItemClass(TCollectionItem* AItem) const
{
  if (!AItem->InheritsFrom(FItemClass))
    throw EListError(L"Invalid property value");
}

void TCollection::InsertItem(TCollectionItem* AItem)
{
  CheckItemClass(AItem);
  FItems.push_back(AItem);
  AItem->FCollection = this;
  AItem->FID = FNextID++;
  SetItemName(AItem);
  Notify(AItem, cnAdded);
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* AItem)
{
  Notify(AItem, cnExtracting);
  EraseFirst(FItems, AItem);
  AItem->FCollection = nullptr;
  Changed();
}

void TOwnedCollection::Create(TPersistent* AOwner, TCollectionItemClass AItemClass)
{
  FOwner = AOwner;
  inherited::Create(AItemClass);
}

// ---------------------------------------------------------------------------
// The class registry

namespace {

struct TClassGroup {
  // The group's own class first, then those added by GroupDescendentsWith.
  std::vector<TClass> Roots;
};

struct TClassRegistry {
  std::mutex Lock;
  // Group 0 is TPersistent's, shared by all.
  std::vector<TClassGroup> Groups{TClassGroup{{TPersistent::StaticClass()}}};
  std::size_t Active = 0;
  std::vector<TClass> Classes;

  // The group of the nearest ancestor that is a root.
  std::size_t GroupOf(TClass AClass) const
  {
    for (TClass c = AClass; c; c = c->ClassParent())
      for (std::size_t i = 0; i < Groups.size(); ++i)
        if (rtl::Contains(Groups[i].Roots, c))
          return i;
    return 0;
  }

  bool Visible(TClass AClass) const
  {
    const std::size_t group = GroupOf(AClass);
    return group == 0 || group == Active;
  }

  bool Share(TClass AClass1, TClass AClass2) const
  {
    const std::size_t group1 = GroupOf(AClass1), group2 = GroupOf(AClass2);
    return group1 == group2 || group1 == 0 || group2 == 0;
  }

  TClass Find(const String& AClassName) const
  {
    for (TClass c : Classes)
      if (c->ClassNameIs(AClassName) && Visible(c))
        return c;
    return nullptr;
  }

  void Add(TClass AClass)
  {
    for (TClass c : Classes)
      if (c->ClassNameIs(AClass->Name) && Share(c, AClass))
        throw EFilerError(Format(L"A class named %s already exists", {AClass->ClassName()}));
    Classes.push_back(AClass);
  }
};

TClassRegistry& Registry()
{
  static TClassRegistry registry;
  return registry;
}

}  // namespace

void RegisterClass(TPersistentClass AClass)
{
  TClassRegistry& registry = Registry();
  std::lock_guard lock(registry.Lock);
  for (TClass c = AClass; c && !Contains(registry.Classes, c); c = c->ClassParent()) {
    registry.Add(c);
    if (c == TPersistent::StaticClass())
      break;
  }
}

void RegisterClasses(std::initializer_list<TPersistentClass> AClasses)
{
  for (TPersistentClass c : AClasses)
    RegisterClass(c);
}

void UnRegisterClass(TPersistentClass AClass)
{
  TClassRegistry& registry = Registry();
  std::lock_guard lock(registry.Lock);
  EraseFirst(registry.Classes, AClass.ClassType());
}

void UnRegisterClasses(std::initializer_list<TPersistentClass> AClasses)
{
  for (TPersistentClass c : AClasses)
    UnRegisterClass(c);
}

TPersistentClass GetClass(const String& AClassName)
{
  TClassRegistry& registry = Registry();
  std::lock_guard lock(registry.Lock);
  return TPersistentClass(registry.Find(AClassName));
}

TPersistentClass FindClass(const String& AClassName)
{
  TPersistentClass result = GetClass(AClassName);
  if (!result)
    throw EClassNotFound(Format(L"Class %s not found", {AClassName}));
  return result;
}

void StartClassGroup(TPersistentClass AClass)
{
  TClassRegistry& registry = Registry();
  std::lock_guard lock(registry.Lock);
  for (const TClassGroup& group : registry.Groups)
    if (group.Roots.front() == AClass.ClassType())
      return;
  registry.Groups.push_back(TClassGroup{{AClass.ClassType()}});
}

// A class added elsewhere before leaves that group, unless it is the class
// the group was started for.
void GroupDescendentsWith(TPersistentClass AClass, TPersistentClass AClassGroup)
{
  TClassRegistry& registry = Registry();
  std::lock_guard lock(registry.Lock);
  const std::size_t target = registry.GroupOf(AClassGroup);
  for (std::size_t i = 0; i < registry.Groups.size(); ++i) {
    auto& roots = registry.Groups[i].Roots;
    if (roots.front() == AClass.ClassType())
      return;
    if (i != target)
      EraseFirst(roots, AClass.ClassType());
  }
  if (!Contains(registry.Groups[target].Roots, AClass.ClassType()))
    registry.Groups[target].Roots.push_back(AClass);
}

TPersistentClass ActivateClassGroup(TPersistentClass AClass)
{
  TClassRegistry& registry = Registry();
  std::lock_guard lock(registry.Lock);
  const TClass previous = registry.Groups[registry.Active].Roots.front();
  registry.Active = registry.GroupOf(AClass);
  return TPersistentClass(previous);
}

TPersistentClass ClassGroupOf(TPersistentClass AClass)
{
  TClassRegistry& registry = Registry();
  std::lock_guard lock(registry.Lock);
  return TPersistentClass(registry.Groups[registry.GroupOf(AClass)].Roots.front());
}

TPersistentClass ClassGroupOf(TPersistent* AInstance)
{
  return AInstance ? ClassGroupOf(TPersistentClass(AInstance->ClassType())) : TPersistentClass();
}

// ---------------------------------------------------------------------------
// TComponentList

class TComponentList::TNexus : public TComponent {
  RTL_CLASS(TNexus, TComponent)

 public:
  TComponentList* FList;

 protected:
  void Notification(TComponent* AComponent, TOperation AOperation) override
  {
    inherited::Notification(AComponent, AOperation);
    if (AOperation == opRemove && FList)
      FList->HandleFreeNotify(AComponent);
  }
};

void TComponentList::Destroy()
{
  inherited::Destroy();
  FreeAndNil(FNexus);
}

TComponentList::TNexus* TComponentList::Nexus()
{
  if (!FNexus) {
    FNexus = New<TNexus>(nullptr);
    FNexus->FList = this;
  }
  return FNexus;
}

// Extracted, not deleted: the component is already on its way out.
void TComponentList::HandleFreeNotify(TComponent* AComponent)
{
  while (Extract(AComponent)) {
  }
}

// The link stays while the component is listed elsewhere in the list.
void TComponentList::Notify(void* APtr, TListNotification AAction)
{
  auto* component = static_cast<TComponent*>(APtr);
  if (AAction == lnAdded)
    Nexus()->FreeNotification(component);
  else if (IndexOf(component) < 0)
    Nexus()->RemoveFreeNotification(component);
  inherited::Notify(APtr, AAction);
}

}  // namespace rtl
