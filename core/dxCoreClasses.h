#pragma once
// The system's own pointer lists and the sorts behind them:
// - TdxFastList, a plain array of pointers with no change notification, its
//   own growth rule, search from either end and set operations;
// - TdxFastObjectList, the same list owning its objects;
// - dxSortItems and dxSortItemsSequential, the quick-sort and insertion
//   passes, with a place for the thread pool's parallel sort to plug in.
//
// Every index is 0-based. Bounds errors raise rtl::EListError with the
// platform list's texts ("List index out of bounds (5)", ...).

#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemEvents.h"

using PdxPointerList = void**;

enum TdxListDirection { ldFromBeginning, ldFromEnd };

// Negative, zero or positive, as AItem1 sorts before, with or after AItem2.
using TCompareItems = rtl::TMethod<int(void* AItem1, void* AItem2)>;

class TdxFastList : public rtl::TObject {
  RTL_CLASS(TdxFastList, rtl::TObject)

 public:
  void Create(int ACapacity = 0);
  void Destroy() override;

  int Add(void* AItem);
  void Insert(int AIndex, void* AItem);
  void Insert(int AIndex, const TdxFastList* AList);
  void Delete(int AIndex);
  void DeleteRange(int AIndex, int ACount);
  int Remove(void* AItem);
  void* Extract(void* AItem, TdxListDirection ADirection = ldFromBeginning);
  void* ExtractByIndex(int AIndex);
  int IndexOf(const void* AItem, TdxListDirection ADirection = ldFromBeginning) const;
  void Exchange(int AIndex1, int AIndex2);
  void Move(int ACurrentIndex, int ANewIndex);
  void* First() const;
  void* Last() const;
  bool Empty() const { return FCount == 0; }
  // The framework answers True for a nil list too; a C++ member call cannot
  // be made on a null pointer, so that form is this one.
  static bool Empty(const TdxFastList* AList) { return AList == nullptr || AList->Empty(); }
  TdxFastList* Expand();
  void Pack(const void* APattern = nullptr);
  void Reverse();
  virtual void Clear();

  void Assign(const TdxFastList* ASource);
  void Assign(const rtl::TList* ASource);
  void Assign(const TdxFastList* ASource, rtl::TListAssignOp AOperator);

  // A new platform list with the same items; the caller owns it.
  rtl::TList* GetTList() const;

  void Sort(const TCompareItems& ACompare, bool AMultiThreaded = false);
  void Sort(rtl::TListSortCompare ACompare, bool AMultiThreaded = false);

  void* GetItem(int AIndex) const;
  void SetItem(int AIndex, void* AItem);
  int GetCapacity() const { return FCapacity; }
  void SetCapacity(int AValue);
  int GetCount() const { return FCount; }
  virtual void SetCount(int AValue);
  PdxPointerList GetList() const { return FList; }

 protected:
  [[noreturn]] static void RaiseIndexError(int AIndex);
  void CheckIndex(int AIndex) const;
  // Raises "Argument out of range" unless AIndex..AIndex + ACount - 1 lies in
  // the list (computed without overflow).
  void CheckRange(int AIndex, int ACount) const;
  void Grow();
  void ReallocList(int ANewCapacity);
  // Removes the range without looking at the items.
  void RemoveRange(int AIndex, int ACount);

  int FCapacity;
  int FCount;
  PdxPointerList FList;
};

// Owns its objects when OwnsObjects: every way an item leaves the list
// (other than the Extract forms) frees it.
class TdxFastObjectList : public TdxFastList {
  RTL_CLASS(TdxFastObjectList, TdxFastList)

 public:
  void Create(bool AOwnsObjects = true, int ACapacity = 0);

  int Add(rtl::TObject* AObject) { return inherited::Add(AObject); }
  void Insert(int AIndex, rtl::TObject* AObject) { inherited::Insert(AIndex, AObject); }
  void Delete(int AIndex);
  void DeleteRange(int AIndex, int ACount);
  int Remove(rtl::TObject* AObject);
  rtl::TObject* Extract(rtl::TObject* AItem, TdxListDirection ADirection = ldFromBeginning);
  void ExtractRange(int AIndex, int ACount) { inherited::DeleteRange(AIndex, ACount); }
  int IndexOf(const rtl::TObject* AObject, TdxListDirection ADirection = ldFromBeginning) const
  {
    return inherited::IndexOf(AObject, ADirection);
  }
  rtl::TObject* First() const { return static_cast<rtl::TObject*>(inherited::First()); }
  rtl::TObject* Last() const { return static_cast<rtl::TObject*>(inherited::Last()); }
  void Clear() override;

  rtl::TObject* GetItem(int AIndex) const { return static_cast<rtl::TObject*>(inherited::GetItem(AIndex)); }
  void SetItem(int AIndex, rtl::TObject* AObject);
  void SetCount(int AValue) override;
  bool GetOwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool AValue) { FOwnsObjects = AValue; }

 private:
  void FreeItems(int AIndex, int ACount);

  bool FOwnsObjects;
};

// Sorts AList[0..ACount - 1]. With AMultiThreaded, more than 32 items and
// multithreading available, the parallel sort of the thread pool does it;
// otherwise dxSortItemsSequential in the calling thread.
void dxSortItems(PdxPointerList AList, int ACount, bool AMultiThreaded, const TCompareItems& ACompareFunc);
void dxSortItems(PdxPointerList AList, int ACount, bool AMultiThreaded, rtl::TListSortCompare ACompareFunc);

// A quick-sort pass from 36 items on, then an insertion pass. Not stable.
// An inconsistent comparer leaves the items in some order, never outside the
// array.
void dxSortItemsSequential(PdxPointerList AList, int ACount, const TCompareItems& ACompareFunc);
void dxSortItemsSequential(PdxPointerList AList, int ACount, rtl::TListSortCompare ACompareFunc);

// The thread pool plugs its parallel sort in here at start-up (and out
// again, with nil, at shut-down). Without it every sort runs in the calling
// thread, as it must when the pool cannot be used.
struct TdxParallelSort {
  bool (*CanUseMultiThreading)();
  void (*SortItems)(PdxPointerList AList, int ACount, const TCompareItems& ACompareFunc);
  void (*SortItemsFunc)(PdxPointerList AList, int ACount, rtl::TListSortCompare ACompareFunc);
};
void dxSetParallelSort(const TdxParallelSort* AParallelSort);
