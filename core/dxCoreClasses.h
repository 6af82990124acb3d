#pragma once
// The system's own pointer lists and the sorts behind them:
// - TdxFastList, a plain array of pointers with no change notification, its
//   own growth rule, search from either end and set operations;
// - TdxFastObjectList, the same list owning its objects;
// - dxSortItems and dxSortItemsSequential, the quick-sort and insertion
//   passes, handing large sorts to the thread pool's parallel sort
//   (dxThreading) when asked to;
// - TdxMulticastMethod<T>, a multicast event over a method-pointer type T,
//   with its implementator and dxEventStackSize, the stack a caller of such
//   an event passes under the framework's register convention.
//
// Every index is 0-based. Bounds errors raise rtl::EListError with the
// platform list's texts ("List index out of bounds (5)", ...).

#include <array>
#include <type_traits>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/SyncObjs.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemEvents.h"

namespace rtl {
class Variant;
}

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
// multithreading usable (dxCanUseMultiThreading: the pool function is bound
// and there are two processors or more) while the thread pool's unit runs,
// the shared parallel sort of dxThreading does it; otherwise
// dxSortItemsSequential in the calling thread.
void dxSortItems(PdxPointerList AList, int ACount, bool AMultiThreaded, const TCompareItems& ACompareFunc);
void dxSortItems(PdxPointerList AList, int ACount, bool AMultiThreaded, rtl::TListSortCompare ACompareFunc);

// A quick-sort pass from 36 items on, then an insertion pass. Not stable.
// An inconsistent comparer leaves the items in some order, never outside the
// array; one that raises leaves them in some order, none lost or doubled.
void dxSortItemsSequential(PdxPointerList AList, int ACount, const TCompareItems& ACompareFunc);
void dxSortItemsSequential(PdxPointerList AList, int ACount, rtl::TListSortCompare ACompareFunc);

// ---------------------------------------------------------------------------
// Multicast events

// Bytes of stack that an argument of type T takes when an event passes it
// under the framework's register convention: 4 for anything passed by
// reference (var, const, out); else by the type: ordinal types their size (1,
// 2 or 4, 8 for 64-bit integers), characters 1 or 2, Single 4, Double and
// Currency 8, Extended 12, method pointers 8, Variant 16, everything else
// (pointers, objects, strings, records) 4. Enumerations take the size of
// their storage, which for a named enumeration is its value range.
template <class T>
constexpr int dxEventParameterSize()
{
  using U = std::remove_cv_t<T>;
  if constexpr (std::is_reference_v<T>)
    return 4;
  else if constexpr (std::is_same_v<U, long double>)
    return 12;
  else if constexpr (std::is_floating_point_v<U> || std::is_integral_v<U> || std::is_enum_v<U>)
    return sizeof(U);
  else if constexpr (std::is_same_v<U, rtl::Currency>)
    return 8;
  else if constexpr (std::is_same_v<U, rtl::Variant>)
    return 16;
  else if constexpr (requires { U::FromRaw(rtl::TMethodRaw{}); })
    return 8;
  else
    return 4;
}

// Bytes of stack a caller pushes for an event with these parameters (the
// object itself not counted). Of the three registers the object takes the
// first; an argument of at most 4 bytes takes one of the other two while one
// is free, else 4 bytes of stack; a larger one always goes on the stack.
template <class... A>
constexpr int dxEventStackSize()
{
  const std::array<int, sizeof...(A)> sizes{dxEventParameterSize<A>()...};
  int freeRegisters = 2;
  int result = 0;
  for (int size : sizes) {
    if (size > 4)
      result += size;
    else if (freeRegisters > 0)
      --freeRegisters;
    else
      result += 4;
  }
  return result;
}

template <class T>
struct TdxMethodStackSize;
template <class R, class... A>
struct TdxMethodStackSize<rtl::TMethod<R(A...)>> {
  static constexpr int Value = dxEventStackSize<A...>();
};

template <class T>
struct IdxMulticastMethod : rtl::IInterface {
  RTL_GUID(IdxMulticastMethod, "{BCD2B104-F540-4470-B0E9-5A15EAF6FE71}")

  // The dispatcher: one method pointer of the event's type that calls every
  // handler.
  virtual T __stdcall GetInvoke() = 0;
  virtual void __stdcall Add(const T& AMethod) = 0;
  virtual void __stdcall Clear() = 0;
  virtual int __stdcall GetCount() = 0;
  virtual void __stdcall Remove(const T& AMethod) = 0;
};

// The handler list of a multicast event, whatever its type. Adding and
// removing hold the lock; so does taking the next handler while dispatching,
// but not the call itself, so that a handler may add or remove handlers.
class TdxMulticastImplementatorBase : public rtl::TInterfacedObject {
  RTL_CLASS(TdxMulticastImplementatorBase, rtl::TInterfacedObject)

 public:
  void Create();
  void Destroy() override;

  // Duplicates are kept, each called in its turn.
  void AddHandler(const rtl::TMethodRaw& AMethod);
  // Removes the first entry with the same code and object.
  void RemoveHandler(const rtl::TMethodRaw& AMethod);
  void Clear();
  int GetCount() const;

 protected:
  // Where a dispatch in progress stands: the next handler to call and the
  // end of those that were there when it began. Removals move both, so that
  // a handler that removes itself or another makes the walk neither skip a
  // handler, nor call a removed one, nor read past the end.
  struct TDispatchCursor {
    int Next;
    int End;
  };
  void BeginDispatch(TDispatchCursor& ACursor);
  bool NextHandler(TDispatchCursor& ACursor, rtl::TMethodRaw& AMethod);
  void EndDispatch(TDispatchCursor& ACursor);

 private:
  rtl::TCriticalSection* FLock;
  std::vector<rtl::TMethodRaw> FHandlers;
  // Nested dispatches (a handler raising the event again) each have one.
  std::vector<TDispatchCursor*> FCursors;
};

template <class T>
class TdxMulticastImplementator;

// Multicast events are procedures: the dispatcher returns nothing.
template <class... A>
class TdxMulticastImplementator<rtl::TMethod<void(A...)>> : public TdxMulticastImplementatorBase,
                                                              public IdxMulticastMethod<rtl::TMethod<void(A...)>> {
  RTL_CLASS(TdxMulticastImplementator, TdxMulticastImplementatorBase)
  RTL_INTERFACES(IdxMulticastMethod<rtl::TMethod<void(A...)>>)

  using TEvent = rtl::TMethod<void(A...)>;

 public:
  static constexpr int StackSize = dxEventStackSize<A...>();

  void Create()
  {
    inherited::Create();
    FInvoke = TEvent::template Bind<&TdxMulticastImplementator::Dispatch>(this);
  }

  TEvent __stdcall GetInvoke() override { return FInvoke; }
  void __stdcall Add(const TEvent& AMethod) override { AddHandler(AMethod.Raw()); }
  void __stdcall Clear() override { inherited::Clear(); }
  int __stdcall GetCount() override { return inherited::GetCount(); }
  void __stdcall Remove(const TEvent& AMethod) override { RemoveHandler(AMethod.Raw()); }

 private:
  // Calls the handlers in registration order, each with the same arguments.
  // Handlers added meanwhile wait for the next call; handlers removed
  // meanwhile are not called.
  void Dispatch(A... AArgs)
  {
    // A handler may drop the last reference to the event (clearing the
    // owner's record); the walk must not run on freed memory.
    const rtl::IPtr<IdxMulticastMethod<TEvent>> keepAlive(this);
    TDispatchCursor cursor;
    BeginDispatch(cursor);
    rtl::Finally end([&] { EndDispatch(cursor); });
    rtl::TMethodRaw handler;
    while (NextHandler(cursor, handler))
      TEvent::FromRaw(handler)(AArgs...);
  }

  TEvent FInvoke;
};

// The event as its owner keeps it: no implementator until the first handler
// comes. Copies share the implementator, so a copy sees the handlers added
// through the original and the other way round.
template <class T>
class TdxMulticastMethod {
 public:
  // A method pointer that calls every handler; makes the implementator when
  // there is none yet, so that the result can always be called.
  T GetInvoke()
  {
    EnsureImplementator();
    return FImplementator->GetInvoke();
  }
  void Add(const T& AMethod)
  {
    EnsureImplementator();
    FImplementator->Add(AMethod);
  }
  void Remove(const T& AMethod)
  {
    if (FImplementator)
      FImplementator->Remove(AMethod);
  }
  void Clear()
  {
    if (FImplementator)
      FImplementator->Clear();
  }
  int GetCount() const { return FImplementator ? FImplementator->GetCount() : 0; }
  bool Empty() const { return GetCount() == 0; }
  TdxMulticastMethod Clone()
  {
    EnsureImplementator();
    return *this;
  }
  IdxMulticastMethod<T>* GetImplementator() const { return FImplementator.Get(); }

 private:
  void EnsureImplementator()
  {
    if (!FImplementator)
      FImplementator = rtl::New<TdxMulticastImplementator<T>>();
  }

  rtl::IPtr<IdxMulticastMethod<T>> FImplementator;
};
