// The Classes unit: lists and the persistent base classes.
#include "platform/rtl/Classes.h"

#include <algorithm>
#include <cstdint>

namespace rtl {

namespace {

[[noreturn]] void ListCapacityError(int ACapacity)
{
  throw EListError(Format(L"List capacity out of bounds (%d)", {ACapacity}));
}

[[noreturn]] void ListCountError(int ACount)
{
  throw EListError(Format(L"List count out of bounds (%d)", {ACount}));
}

}  // namespace

void ListIndexError(int AIndex)
{
  throw EListError(Format(L"List index out of bounds (%d)", {AIndex}));
}

// ---------------------------------------------------------------------------
// TList

void TList::Destroy()
{
  Clear();
  inherited::Destroy();
}

void TList::CheckIndex(int AIndex) const
{
  if (AIndex < 0 || AIndex >= GetCount())
    ListIndexError(AIndex);
}

// Grows by a quarter of large lists, 16 for middling and 4 for small ones,
// so a list filled one by one reallocates rarely.
void TList::Grow()
{
  const int delta = FCapacity > 64 ? FCapacity / 4 : FCapacity > 8 ? 16 : 4;
  SetCapacity(FCapacity + delta);
}

int TList::Add(void* AItem)
{
  const int result = GetCount();
  if (result == FCapacity)
    Grow();
  FList.push_back(AItem);
  if (AItem)
    Notify(AItem, lnAdded);
  return result;
}

void TList::Insert(int AIndex, void* AItem)
{
  if (AIndex < 0 || AIndex > GetCount())
    ListIndexError(AIndex);
  if (GetCount() == FCapacity)
    Grow();
  FList.insert(FList.begin() + AIndex, AItem);
  if (AItem)
    Notify(AItem, lnAdded);
}

void TList::Delete(int AIndex)
{
  CheckIndex(AIndex);
  void* item = FList[AIndex];
  FList.erase(FList.begin() + AIndex);
  if (item)
    Notify(item, lnDeleted);
}

int TList::Remove(void* AItem)
{
  const int result = IndexOf(AItem);
  if (result >= 0)
    Delete(result);
  return result;
}

void* TList::Extract(void* AItem)
{
  const int index = IndexOf(AItem);
  if (index < 0)
    return nullptr;
  // Null first, so the deletion notifies nothing; then the extraction.
  FList[index] = nullptr;
  Delete(index);
  Notify(AItem, lnExtracted);
  return AItem;
}

void TList::Clear()
{
  SetCount(0);
  SetCapacity(0);
}

void TList::Pack()
{
  std::erase(FList, nullptr);
}

int TList::IndexOf(void* AItem) const
{
  const auto found = std::find(FList.begin(), FList.end(), AItem);
  return found == FList.end() ? -1 : static_cast<int>(found - FList.begin());
}

void TList::Exchange(int AIndex1, int AIndex2)
{
  CheckIndex(AIndex1);
  CheckIndex(AIndex2);
  std::swap(FList[AIndex1], FList[AIndex2]);
}

void TList::Move(int ACurIndex, int ANewIndex)
{
  if (ACurIndex == ANewIndex)
    return;
  CheckIndex(ANewIndex);
  CheckIndex(ACurIndex);
  void* item = FList[ACurIndex];
  FList.erase(FList.begin() + ACurIndex);
  FList.insert(FList.begin() + ANewIndex, item);
}

void* TList::First() const
{
  return GetItem(0);
}

void* TList::Last() const
{
  return GetItem(GetCount() - 1);
}

void TList::SetCount(int ANewCount)
{
  if (ANewCount < 0)
    ListCountError(ANewCount);
  if (ANewCount > FCapacity)
    SetCapacity(ANewCount);
  if (ANewCount > GetCount()) {
    FList.resize(ANewCount, nullptr);
    return;
  }
  // One by one from the end, so every item is notified; the count is asked
  // anew each time, as a notification may take other items out too.
  while (GetCount() > ANewCount)
    Delete(GetCount() - 1);
}

void TList::SetCapacity(int ANewCapacity)
{
  if (ANewCapacity < GetCount())
    ListCapacityError(ANewCapacity);
  if (ANewCapacity == FCapacity)
    return;
  if (ANewCapacity > GetCount())
    FList.reserve(ANewCapacity);
  else
    FList.shrink_to_fit();
  FCapacity = ANewCapacity;
}

void* TList::GetItem(int AIndex) const
{
  CheckIndex(AIndex);
  return FList[AIndex];
}

void TList::SetItem(int AIndex, void* AItem)
{
  CheckIndex(AIndex);
  void* old = FList[AIndex];
  if (old == AItem)
    return;
  FList[AIndex] = AItem;
  if (old)
    Notify(old, lnDeleted);
  if (AItem)
    Notify(AItem, lnAdded);
}

namespace {

// Hoare's partition around the middle item, recursing into the left part and
// looping over the right. The scans stop at the ends of the range, so a
// comparator that says every item is smaller (or larger) than the pivot
// cannot carry an index out of the list; each round still shrinks the range.
void QuickSortPointers(std::vector<void*>& AList, int L, int R, TListSortCompare ACompare)
{
  while (L < R) {
    int i = L;
    int j = R;
    void* const pivot = AList[L + (R - L) / 2];
    do {
      while (i < R && ACompare(AList[i], pivot) < 0)
        ++i;
      while (j > L && ACompare(AList[j], pivot) > 0)
        --j;
      if (i <= j) {
        if (i != j)
          std::swap(AList[i], AList[j]);
        ++i;
        --j;
      }
    } while (i <= j);
    if (L < j)
      QuickSortPointers(AList, L, j, ACompare);
    L = i;
  }
}

}  // namespace

void TList::Sort(TListSortCompare ACompare)
{
  if (GetCount() > 1)
    QuickSortPointers(FList, 0, GetCount() - 1, ACompare);
}

void TList::Assign(TList* AListA, TListAssignOp AOperator, TList* AListB)
{
  TList* source = AListA;
  if (AListB) {
    Assign(AListA);
    source = AListB;
  }
  if (!source)
    return;
  const int sourceCount = source->GetCount();
  switch (AOperator) {
    case laCopy:
      // Copying a list onto itself would clear the only copy of its items.
      if (source == this)
        break;
      Clear();
      SetCapacity(sourceCount);
      for (int i = 0; i < sourceCount; ++i)
        Add(source->FList[i]);
      break;
    case laAnd:
      for (int i = GetCount() - 1; i >= 0; --i)
        if (source->IndexOf(FList[i]) < 0)
          Delete(i);
      break;
    case laOr:
      for (int i = 0; i < sourceCount; ++i)
        if (IndexOf(source->FList[i]) < 0)
          Add(source->FList[i]);
      break;
    case laXor: {
      std::vector<void*> added;
      for (void* item : source->FList)
        if (IndexOf(item) < 0)
          added.push_back(item);
      for (int i = GetCount() - 1; i >= 0; --i)
        if (source->IndexOf(FList[i]) >= 0)
          Delete(i);
      for (void* item : added)
        Add(item);
      break;
    }
    case laSrcUnique:
      for (int i = GetCount() - 1; i >= 0; --i)
        if (source->IndexOf(FList[i]) >= 0)
          Delete(i);
      break;
    case laDestUnique: {
      std::vector<void*> unique;
      for (int i = sourceCount - 1; i >= 0; --i)
        if (IndexOf(source->FList[i]) < 0)
          unique.push_back(source->FList[i]);
      Clear();
      SetCapacity(static_cast<int>(unique.size()));
      for (void* item : unique)
        Add(item);
      break;
    }
  }
}

void TList::Notify(void*, TListNotification) {}

// ---------------------------------------------------------------------------
// TObjectList

int TObjectList::FindInstanceOf(TClass AClass, bool AExact, int AStartAt) const
{
  for (int i = std::max(AStartAt, 0); i < GetCount(); ++i) {
    const TObject* item = GetItem(i);
    if (item && (AExact ? item->ClassType() == AClass : item->InheritsFrom(AClass)))
      return i;
  }
  return -1;
}

void TObjectList::Notify(void* APtr, TListNotification AAction)
{
  if (FOwnsObjects && AAction == lnDeleted)
    rtl::Free(static_cast<TObject*>(APtr));
  inherited::Notify(APtr, AAction);
}

// ---------------------------------------------------------------------------
// TThreadList

void TThreadList::Create()
{
  InitializeCriticalSection(&FLock);
  FLockMade = true;
  FList = New<TList>();
}

void TThreadList::Destroy()
{
  if (FLockMade) {
    LockList();
    FreeAndNil(FList);
    UnlockList();
    DeleteCriticalSection(&FLock);
    FLockMade = false;
  }
  inherited::Destroy();
}

void TThreadList::Add(void* AItem)
{
  TList* list = LockList();
  Finally unlock([this] { UnlockList(); });
  if (FDuplicates == dupAccept || list->IndexOf(AItem) < 0) {
    list->Add(AItem);
    return;
  }
  if (FDuplicates == dupError)
    throw EListError(
        Format(L"List does not allow duplicates ($0%x)", {static_cast<int>(reinterpret_cast<std::intptr_t>(AItem))}));
}

void TThreadList::Remove(void* AItem)
{
  TList* list = LockList();
  Finally unlock([this] { UnlockList(); });
  list->Remove(AItem);
}

void TThreadList::Clear()
{
  TList* list = LockList();
  Finally unlock([this] { UnlockList(); });
  list->Clear();
}

TList* TThreadList::LockList()
{
  EnterCriticalSection(&FLock);
  return FList;
}

void TThreadList::UnlockList()
{
  LeaveCriticalSection(&FLock);
}

// ---------------------------------------------------------------------------
// TInterfaceList

namespace {

// Holds the list's lock for a scope.
class TListLock {
 public:
  explicit TListLock(TThreadList* AList) : FList(AList), FItems(AList->LockList()) {}
  TListLock(const TListLock&) = delete;
  TListLock& operator=(const TListLock&) = delete;
  ~TListLock() { FList->UnlockList(); }
  TList* operator->() const { return FItems; }

 private:
  TThreadList* FList;
  TList* FItems;
};

IInterface* AsInterface(void* AItem)
{
  return static_cast<IInterface*>(AItem);
}

}  // namespace

void TInterfaceList::Create()
{
  FList = New<TThreadList>();
}

void TInterfaceList::Destroy()
{
  if (FList)
    Clear();
  FreeAndNil(FList);
  inherited::Destroy();
}

IPtr<IInterface> TInterfaceList::Get(int AIndex)
{
  TListLock list(FList);
  return AsInterface(list->GetItem(AIndex));
}

int TInterfaceList::GetCapacity()
{
  TListLock list(FList);
  return list->GetCapacity();
}

int TInterfaceList::GetCount()
{
  TListLock list(FList);
  return list->GetCount();
}

// The reference that goes is released last, outside the lock: releasing may
// free an object that calls back into this list.
void TInterfaceList::Put(int AIndex, IInterface* AItem)
{
  IPtr<IInterface> old;
  {
    TListLock list(FList);
    old = IPtr<IInterface>::Attach(AsInterface(list->GetItem(AIndex)));
    if (AItem)
      AItem->AddRef();
    list->SetItem(AIndex, AItem);
  }
}

void TInterfaceList::SetCapacity(int ANewCapacity)
{
  TListLock list(FList);
  list->SetCapacity(ANewCapacity);
}

void TInterfaceList::SetCount(int ANewCount)
{
  std::vector<IPtr<IInterface>> released;
  {
    TListLock list(FList);
    for (int i = ANewCount; i < list->GetCount(); ++i)
      released.push_back(IPtr<IInterface>::Attach(AsInterface(list->GetItem(i))));
    list->SetCount(ANewCount);
  }
}

void TInterfaceList::Clear()
{
  std::vector<IPtr<IInterface>> released;
  {
    TListLock list(FList);
    for (int i = 0; i < list->GetCount(); ++i)
      released.push_back(IPtr<IInterface>::Attach(AsInterface(list->GetItem(i))));
    list->Clear();
  }
}

void TInterfaceList::Delete(int AIndex)
{
  IPtr<IInterface> released;
  {
    TListLock list(FList);
    released = IPtr<IInterface>::Attach(AsInterface(list->GetItem(AIndex)));
    list->Delete(AIndex);
  }
}

void TInterfaceList::Exchange(int AIndex1, int AIndex2)
{
  TListLock list(FList);
  list->Exchange(AIndex1, AIndex2);
}

int TInterfaceList::IndexOf(IInterface* AItem)
{
  TListLock list(FList);
  return list->IndexOf(AItem);
}

int TInterfaceList::Add(IInterface* AItem)
{
  TListLock list(FList);
  const int result = list->Add(AItem);
  if (AItem)
    AItem->AddRef();
  return result;
}

void TInterfaceList::Insert(int AIndex, IInterface* AItem)
{
  TListLock list(FList);
  list->Insert(AIndex, AItem);
  if (AItem)
    AItem->AddRef();
}

IPtr<IInterface> TInterfaceList::Last()
{
  TListLock list(FList);
  return Get(list->GetCount() - 1);
}

int TInterfaceList::Remove(IInterface* AItem)
{
  IPtr<IInterface> released;
  int result;
  {
    TListLock list(FList);
    result = list->IndexOf(AItem);
    if (result < 0)
      return result;
    released = IPtr<IInterface>::Attach(AItem);
    list->Delete(result);
  }
  return result;
}

// ---------------------------------------------------------------------------
// TPersistent

void TPersistent::Assign(TPersistent* ASource)
{
  if (ASource)
    ASource->AssignTo(this);
  else
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* ADest)
{
  ADest->AssignError(this);
}

void TPersistent::AssignError(TPersistent* ASource)
{
  const String sourceName = ASource ? ASource->ClassName() : String(L"nil");
  throw EConvertError(Format(L"Cannot assign a %s to a %s", {sourceName, ClassName()}));
}

String TPersistent::GetNamePath()
{
  return ClassName();
}

TPersistent* TPersistent::GetOwner()
{
  return nullptr;
}

void TPersistent::DefineProperties(TFiler*) {}

// ---------------------------------------------------------------------------
// TInterfacedPersistent

void TInterfacedPersistent::AfterConstruction()
{
  inherited::AfterConstruction();
  // The owner's IInterface as its class implements it, without counting a
  // reference (see FOwnerInterface).
  if (TPersistent* owner = GetOwner())
    if (const TInterfaceEntry* entry = owner->GetInterfaceEntry(IIDOf<IInterface>()))
      FOwnerInterface = entry->Get(owner);
}

HRESULT TInterfacedPersistent::QueryInterface(REFIID AIID, void** AObj)
{
  if (!AObj)
    return E_POINTER;
  return GetInterface(AIID, AObj) ? S_OK : E_NOINTERFACE;
}

ULONG TInterfacedPersistent::AddRef()
{
  return FOwnerInterface ? FOwnerInterface->AddRef() : static_cast<ULONG>(-1);
}

ULONG TInterfacedPersistent::Release()
{
  return FOwnerInterface ? FOwnerInterface->Release() : static_cast<ULONG>(-1);
}

}  // namespace rtl
