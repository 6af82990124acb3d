#include "core/dxCoreClasses.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "core/dxThreading.h"

namespace {

[[noreturn]] void RaiseListError(const wchar_t* AText, int AValue)
{
  throw rtl::EListError(AText + (L" (" + rtl::IntToStr(AValue) + L")"));
}

// Below 17 slots a list grows by 16, up to 128 by 32, then by half.
int GrownCapacity(int ACapacity)
{
  if (ACapacity > 128)
    return ACapacity + ACapacity / 2;
  if (ACapacity > 16)
    return ACapacity + 32;
  return ACapacity + 16;
}

// The shared parallel sort when this sort may use it, else nil. The sort
// exists only while the thread pool's unit runs, and only when the pool and
// a second processor do.
TdxMultithreadedSort* ParallelSort(bool AMultiThreaded, int ACount)
{
  return AMultiThreaded && ACount > 32 && dxCanUseMultiThreading() ? dxMultithreadedSort() : nullptr;
}

// Parts of this many items or fewer are left to the insertion pass.
constexpr int InsertionSortLastIndex = 34;

// The quick-sort pass over A[0..L]. The median of three puts items at both
// ends that stop the scans of a consistent comparer; the scans are bounded
// all the same, so that one that is not consistent (answers "less" both
// ways, or at random) cannot walk off the array. For a consistent comparer
// the bounds never decide, so the comparisons made are the same.
template <class Less>
void QuickSortPass(void** A, int L, const Less& ALess)
{
  while (L > InsertionSortLastIndex) {
    const int M = L / 2;
    if (ALess(A[L], A[0]))
      std::swap(A[0], A[L]);
    if (ALess(A[M], A[0]))
      std::swap(A[0], A[M]);
    else if (ALess(A[L], A[M]))
      std::swap(A[M], A[L]);
    void* const pivot = A[M];

    // At every scan i < j <= L before the step, so i stays within 1..L and
    // j within 0..L - 1: both parts below are smaller than A[0..L].
    int i = 0;
    int j = L;
    auto advance = [&] {
      do
        ++i;
      while (i < L && ALess(A[i], pivot));
      do
        --j;
      while (j > 0 && ALess(pivot, A[j]));
    };
    advance();
    while (i < j) {
      std::swap(A[i], A[j]);
      advance();
    }

    // For a consistent comparer the scans end with i = j or i = j + 1. One
    // that is not consistent can leave them further apart, and then the two
    // parts would overlap and the work would double at every level: take
    // them apart at i.
    if (i > j + 1)
      j = i - 1;

    // Recurse into the smaller part, loop on the larger one.
    if (L - j - 1 < i - 1) {
      if (L - j - 1 > InsertionSortLastIndex)
        QuickSortPass(A + j + 1, L - j - 1, ALess);
      L = i - 1;
    } else {
      if (i - 1 > InsertionSortLastIndex)
        QuickSortPass(A, i - 1, ALess);
      A += j + 1;
      L -= j + 1;
    }
  }
}

// The insertion pass over A[0..L]: the smallest of the first 35 items goes to
// the front, where it stops the shifting below. After the quick-sort pass the
// smallest item is among them; for a comparer that is not consistent the
// shifting is bounded by the array's start instead.
template <class Less>
void InsertionPass(void** A, int L, const Less& ALess)
{
  int smallest = std::min(L, InsertionSortLastIndex);
  for (int k = smallest - 1; k >= 0; --k)
    if (ALess(A[k], A[smallest]))
      smallest = k;
  std::swap(A[0], A[smallest]);

  // The place is found before anything moves, so that a comparer that
  // raises leaves every item in the array exactly once.
  for (int k = 2; k <= L; ++k) {
    void* const item = A[k];
    if (!ALess(item, A[k - 1]))
      continue;
    int j = k - 1;
    while (j > 0 && ALess(item, A[j - 1]))
      --j;
    std::rotate(A + j, A + k, A + k + 1);
  }
}

template <class Less>
void SortSequential(PdxPointerList AList, int ACount, const Less& ALess)
{
  if (AList == nullptr || ACount <= 1)
    return;
  if (ACount >= InsertionSortLastIndex + 2)
    QuickSortPass(AList, ACount - 1, ALess);
  InsertionPass(AList, ACount - 1, ALess);
}

}  // namespace

// ---------------------------------------------------------------------------
// TdxFastList

void TdxFastList::Create(int ACapacity)
{
  inherited::Create();
  SetCapacity(ACapacity);
}

void TdxFastList::Destroy()
{
  Clear();
  inherited::Destroy();
}

void TdxFastList::RaiseIndexError(int AIndex)
{
  RaiseListError(L"List index out of bounds", AIndex);
}

void TdxFastList::CheckIndex(int AIndex) const
{
  if (AIndex < 0 || AIndex >= FCount)
    RaiseIndexError(AIndex);
}

void TdxFastList::CheckRange(int AIndex, int ACount) const
{
  if (AIndex < 0 || ACount < 0 || AIndex > FCount || ACount > FCount - AIndex)
    throw rtl::EListError(L"Argument out of range");
}

void TdxFastList::ReallocList(int ANewCapacity)
{
  if (ANewCapacity == FCapacity)
    return;
  if (ANewCapacity == 0) {
    std::free(FList);
    FList = nullptr;
  } else {
    // A slot count whose byte size does not fit in a size (a count read from
    // a corrupt file) would wrap to a small block that the count then
    // overruns.
    if (ANewCapacity < 0 || static_cast<std::size_t>(ANewCapacity) > SIZE_MAX / sizeof(void*))
      throw rtl::EOutOfMemory(L"Out of memory");
    void* list = std::realloc(FList, static_cast<std::size_t>(ANewCapacity) * sizeof(void*));
    if (list == nullptr)
      throw rtl::EOutOfMemory(L"Out of memory");
    FList = static_cast<PdxPointerList>(list);
  }
  FCapacity = ANewCapacity;
}

void TdxFastList::Grow()
{
  ReallocList(GrownCapacity(FCapacity));
}

int TdxFastList::Add(void* AItem)
{
  if (FCount == FCapacity)
    Grow();
  FList[FCount] = AItem;
  return FCount++;
}

void TdxFastList::Insert(int AIndex, void* AItem)
{
  if (AIndex < 0 || AIndex > FCount)
    RaiseIndexError(AIndex);
  if (FCount == FCapacity)
    Grow();
  std::memmove(FList + AIndex + 1, FList + AIndex, (FCount - AIndex) * sizeof(void*));
  FList[AIndex] = AItem;
  ++FCount;
}

void TdxFastList::Insert(int AIndex, const TdxFastList* AList)
{
  if (AIndex < 0 || AIndex > FCount)
    RaiseIndexError(AIndex);
  // A copy, for a list inserted into itself.
  const std::vector<void*> items(AList->FList, AList->FList + AList->FCount);
  const int count = static_cast<int>(items.size());
  if (count == 0)
    return;
  if (FCount + count > FCapacity)
    ReallocList(FCount + count);
  std::memmove(FList + AIndex + count, FList + AIndex, (FCount - AIndex) * sizeof(void*));
  std::memcpy(FList + AIndex, items.data(), count * sizeof(void*));
  FCount += count;
}

void TdxFastList::RemoveRange(int AIndex, int ACount)
{
  std::memmove(FList + AIndex, FList + AIndex + ACount, (FCount - AIndex - ACount) * sizeof(void*));
  FCount -= ACount;
}

void TdxFastList::Delete(int AIndex)
{
  CheckIndex(AIndex);
  RemoveRange(AIndex, 1);
}

void TdxFastList::DeleteRange(int AIndex, int ACount)
{
  CheckRange(AIndex, ACount);
  RemoveRange(AIndex, ACount);
}

int TdxFastList::Remove(void* AItem)
{
  const int index = IndexOf(AItem);
  if (index >= 0)
    RemoveRange(index, 1);
  return index;
}

void* TdxFastList::Extract(void* AItem, TdxListDirection ADirection)
{
  const int index = IndexOf(AItem, ADirection);
  if (index < 0)
    return nullptr;
  RemoveRange(index, 1);
  return AItem;
}

void* TdxFastList::ExtractByIndex(int AIndex)
{
  CheckIndex(AIndex);
  void* item = FList[AIndex];
  RemoveRange(AIndex, 1);
  return item;
}

int TdxFastList::IndexOf(const void* AItem, TdxListDirection ADirection) const
{
  if (ADirection == ldFromBeginning) {
    for (int i = 0; i < FCount; ++i)
      if (FList[i] == AItem)
        return i;
  } else {
    for (int i = FCount - 1; i >= 0; --i)
      if (FList[i] == AItem)
        return i;
  }
  return -1;
}

void TdxFastList::Exchange(int AIndex1, int AIndex2)
{
  CheckIndex(AIndex1);
  CheckIndex(AIndex2);
  std::swap(FList[AIndex1], FList[AIndex2]);
}

void TdxFastList::Move(int ACurrentIndex, int ANewIndex)
{
  if (ACurrentIndex == ANewIndex)
    return;
  CheckIndex(ANewIndex);
  CheckIndex(ACurrentIndex);
  void* item = FList[ACurrentIndex];
  if (ACurrentIndex < ANewIndex)
    std::memmove(FList + ACurrentIndex, FList + ACurrentIndex + 1, (ANewIndex - ACurrentIndex) * sizeof(void*));
  else
    std::memmove(FList + ANewIndex + 1, FList + ANewIndex, (ACurrentIndex - ANewIndex) * sizeof(void*));
  FList[ANewIndex] = item;
}

void* TdxFastList::First() const
{
  return GetItem(0);
}

void* TdxFastList::Last() const
{
  return GetItem(FCount - 1);
}

TdxFastList* TdxFastList::Expand()
{
  if (FCount == FCapacity)
    Grow();
  return this;
}

void TdxFastList::Pack(const void* APattern)
{
  void** end = std::remove(FList, FList + FCount, APattern);
  FCount = static_cast<int>(end - FList);
}

void TdxFastList::Reverse()
{
  std::reverse(FList, FList + FCount);
}

void TdxFastList::Clear()
{
  FCount = 0;
  ReallocList(0);
}

void TdxFastList::Assign(const TdxFastList* ASource)
{
  if (ASource == this)
    return;
  FCount = 0;
  ReallocList(ASource->FCapacity);
  if (ASource->FCount > 0)
    std::memcpy(FList, ASource->FList, ASource->FCount * sizeof(void*));
  FCount = ASource->FCount;
}

void TdxFastList::Assign(const rtl::TList* ASource)
{
  const int count = ASource->GetCount();
  FCount = 0;
  ReallocList(ASource->GetCapacity());
  if (count > 0)
    std::memcpy(FList, ASource->List(), count * sizeof(void*));
  FCount = count;
}

rtl::TList* TdxFastList::GetTList() const
{
  rtl::TList* result = rtl::New<rtl::TList>();
  try {
    result->SetCapacity(FCount);
    for (int i = 0; i < FCount; ++i)
      result->Add(FList[i]);
  } catch (...) {
    rtl::Free(result);
    throw;
  }
  return result;
}

void TdxFastList::Assign(const TdxFastList* ASource, rtl::TListAssignOp AOperator)
{
  // Membership is asked of a copy of the source, so that a list combined with
  // itself does not change what it is compared against.
  const std::vector<void*> source(ASource->FList, ASource->FList + ASource->FCount);
  auto inSource = [&](void* AItem) { return std::find(source.begin(), source.end(), AItem) != source.end(); };
  auto deleteWhere = [&](auto APredicate) {
    for (int i = FCount - 1; i >= 0; --i)
      if (APredicate(FList[i]))
        RemoveRange(i, 1);
  };
  switch (AOperator) {
    case rtl::laCopy:
      Assign(ASource);
      break;
    case rtl::laAnd:
      deleteWhere([&](void* AItem) { return !inSource(AItem); });
      break;
    case rtl::laOr:
      for (void* item : source)
        if (IndexOf(item) < 0)
          Add(item);
      break;
    case rtl::laXor: {
      std::vector<void*> added;
      for (void* item : source)
        if (IndexOf(item) < 0)
          added.push_back(item);
      deleteWhere(inSource);
      for (void* item : added)
        Add(item);
      break;
    }
    case rtl::laSrcUnique:
      deleteWhere(inSource);
      break;
    case rtl::laDestUnique: {
      std::vector<void*> unique;
      for (auto it = source.rbegin(); it != source.rend(); ++it)
        if (IndexOf(*it) < 0)
          unique.push_back(*it);
      FCount = 0;
      for (void* item : unique)
        Add(item);
      break;
    }
  }
}

void TdxFastList::Sort(const TCompareItems& ACompare, bool AMultiThreaded)
{
  dxSortItems(FList, FCount, AMultiThreaded, ACompare);
}

void TdxFastList::Sort(rtl::TListSortCompare ACompare, bool AMultiThreaded)
{
  dxSortItems(FList, FCount, AMultiThreaded, ACompare);
}

void* TdxFastList::GetItem(int AIndex) const
{
  CheckIndex(AIndex);
  return FList[AIndex];
}

void TdxFastList::SetItem(int AIndex, void* AItem)
{
  CheckIndex(AIndex);
  FList[AIndex] = AItem;
}

void TdxFastList::SetCapacity(int AValue)
{
  if (AValue < FCount)
    RaiseListError(L"List capacity out of bounds", AValue);
  ReallocList(AValue);
}

void TdxFastList::SetCount(int AValue)
{
  if (AValue < 0)
    RaiseListError(L"List count out of bounds", AValue);
  if (AValue > FCapacity)
    ReallocList(AValue);
  if (AValue > FCount)
    std::memset(FList + FCount, 0, (AValue - FCount) * sizeof(void*));
  FCount = AValue;
}

// ---------------------------------------------------------------------------
// TdxFastObjectList

void TdxFastObjectList::Create(bool AOwnsObjects, int ACapacity)
{
  inherited::Create(ACapacity);
  FOwnsObjects = AOwnsObjects;
}

void TdxFastObjectList::FreeItems(int AIndex, int ACount)
{
  if (!FOwnsObjects)
    return;
  for (int i = AIndex; i < AIndex + ACount; ++i)
    rtl::Free(static_cast<rtl::TObject*>(FList[i]));
}

void TdxFastObjectList::Delete(int AIndex)
{
  CheckIndex(AIndex);
  FreeItems(AIndex, 1);
  RemoveRange(AIndex, 1);
}

void TdxFastObjectList::DeleteRange(int AIndex, int ACount)
{
  CheckRange(AIndex, ACount);
  FreeItems(AIndex, ACount);
  RemoveRange(AIndex, ACount);
}

int TdxFastObjectList::Remove(rtl::TObject* AObject)
{
  const int index = IndexOf(AObject);
  if (index >= 0)
    Delete(index);
  return index;
}

rtl::TObject* TdxFastObjectList::Extract(rtl::TObject* AItem, TdxListDirection ADirection)
{
  return static_cast<rtl::TObject*>(inherited::Extract(AItem, ADirection));
}

void TdxFastObjectList::Clear()
{
  FreeItems(0, FCount);
  inherited::Clear();
}

void TdxFastObjectList::SetItem(int AIndex, rtl::TObject* AObject)
{
  CheckIndex(AIndex);
  auto* old = static_cast<rtl::TObject*>(FList[AIndex]);
  FList[AIndex] = AObject;
  // The new object is in place first, so that a failing destructor leaves no
  // freed object in the list.
  if (FOwnsObjects && old != AObject)
    rtl::Free(old);
}

void TdxFastObjectList::SetCount(int AValue)
{
  if (AValue >= 0 && AValue < FCount)
    FreeItems(AValue, FCount - AValue);
  inherited::SetCount(AValue);
}

// ---------------------------------------------------------------------------
// Sorting

void dxSortItems(PdxPointerList AList, int ACount, bool AMultiThreaded, const TCompareItems& ACompareFunc)
{
  if (AList == nullptr || ACount <= 1)
    return;
  if (TdxMultithreadedSort* sort = ParallelSort(AMultiThreaded, ACount))
    sort->Sort(AList, ACount, ACompareFunc);
  else
    dxSortItemsSequential(AList, ACount, ACompareFunc);
}

void dxSortItems(PdxPointerList AList, int ACount, bool AMultiThreaded, rtl::TListSortCompare ACompareFunc)
{
  if (AList == nullptr || ACount <= 1)
    return;
  if (TdxMultithreadedSort* sort = ParallelSort(AMultiThreaded, ACount))
    sort->Sort(AList, ACount, ACompareFunc);
  else
    dxSortItemsSequential(AList, ACount, ACompareFunc);
}

void dxSortItemsSequential(PdxPointerList AList, int ACount, const TCompareItems& ACompareFunc)
{
  SortSequential(AList, ACount, [&](void* A, void* B) { return ACompareFunc(A, B) < 0; });
}

void dxSortItemsSequential(PdxPointerList AList, int ACount, rtl::TListSortCompare ACompareFunc)
{
  SortSequential(AList, ACount, [&](void* A, void* B) { return ACompareFunc(A, B) < 0; });
}

// ---------------------------------------------------------------------------
// Multicast events

void TdxMulticastImplementatorBase::Create()
{
  inherited::Create();
  FLock = rtl::New<rtl::TCriticalSection>();
}

void TdxMulticastImplementatorBase::Destroy()
{
  // Also reached when Create failed, without a lock.
  FHandlers.clear();
  rtl::FreeAndNil(FLock);
  inherited::Destroy();
}

void TdxMulticastImplementatorBase::AddHandler(const rtl::TMethodRaw& AMethod)
{
  FLock->Enter();
  rtl::Finally leave([this] { FLock->Leave(); });
  FHandlers.push_back(AMethod);
}

void TdxMulticastImplementatorBase::RemoveHandler(const rtl::TMethodRaw& AMethod)
{
  FLock->Enter();
  rtl::Finally leave([this] { FLock->Leave(); });
  auto handler = std::find(FHandlers.begin(), FHandlers.end(), AMethod);
  if (handler == FHandlers.end())
    return;
  const int index = static_cast<int>(handler - FHandlers.begin());
  FHandlers.erase(handler);
  for (TDispatchCursor* cursor : FCursors) {
    if (index < cursor->Next)
      --cursor->Next;
    if (index < cursor->End)
      --cursor->End;
  }
}

void TdxMulticastImplementatorBase::Clear()
{
  FLock->Enter();
  rtl::Finally leave([this] { FLock->Leave(); });
  FHandlers.clear();
  for (TDispatchCursor* cursor : FCursors)
    *cursor = {0, 0};
}

int TdxMulticastImplementatorBase::GetCount() const
{
  return static_cast<int>(FHandlers.size());
}

void TdxMulticastImplementatorBase::BeginDispatch(TDispatchCursor& ACursor)
{
  FLock->Enter();
  rtl::Finally leave([this] { FLock->Leave(); });
  ACursor = {0, static_cast<int>(FHandlers.size())};
  FCursors.push_back(&ACursor);
}

bool TdxMulticastImplementatorBase::NextHandler(TDispatchCursor& ACursor, rtl::TMethodRaw& AMethod)
{
  FLock->Enter();
  rtl::Finally leave([this] { FLock->Leave(); });
  if (ACursor.Next >= ACursor.End || ACursor.Next >= static_cast<int>(FHandlers.size()))
    return false;
  AMethod = FHandlers[ACursor.Next++];
  return true;
}

void TdxMulticastImplementatorBase::EndDispatch(TDispatchCursor& ACursor)
{
  FLock->Enter();
  rtl::Finally leave([this] { FLock->Leave(); });
  std::erase(FCursors, &ACursor);
}
