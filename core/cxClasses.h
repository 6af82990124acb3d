#pragma once
// Base classes and small shared containers of the core library:
// - TcxIUnknownObject, an object with IInterface that counts no references;
// - TcxInterfacedPersistent, TcxOwnedPersistent and
//   TcxOwnedInterfacedPersistent: persistent objects that remember their
//   owner and are made through a virtual constructor taking the owner, so
//   that a container can create its parts from a class reference;
// - TcxDoublyLinkedObject and TcxDoublyLinkedObjectList, an owning doubly
//   linked list whose item class a descendant chooses by overriding
//   GetLinkedObjectClass (the XML node and attribute lists);
// - TcxFreeNotificator, which turns the free notifications of watched
//   components into an event;
// - TcxObjectList, a pointer list that may own its objects;
// - TcxEventHandlerCollection, handlers called in registration order;
// - TcxRegisteredClassList (item class to class, falling back to the nearest
//   registered ancestor) and TcxRegisteredClasses (classes with a
//   description and a hint);
// - TdxHashSet, the library's set type;
// - weak object links: TcxObjectLink, TcxObjectLinkController and
//   cxCreateWeakLink, cxFreeWeakLink, cxResetWeakLinks;
// - a few window, text and number routines.

#include <windows.h>

#include <functional>
#include <span>
#include <unordered_set>
#include <vector>

#include "core/dxTypeHelpers.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/ClassesComponents.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemEvents.h"
#include "platform/rtl/SystemUnits.h"

// Starts the process-wide link controller; its finish frees it.
RTL_DECLARE_UNIT(cxClasses);

// A control that another object manages (an item of a layout, a part of a
// composite control): services that look for settings next to a control
// (hint style controllers, screen tips, look and feel) ask its manager too.
// The manager is answered as the object itself; callers query it for the
// interfaces or the component they need.
struct IdxManagedObject : rtl::IInterface {
  RTL_GUID(IdxManagedObject, "{AB78C3D2-400B-407F-A988-C015DDCEFED3}")
  virtual rtl::TObject* __stdcall GetManager() = 0;
};

// The manager of AObject when it is a managed object; nil otherwise.
rtl::TObject* dxGetManager(rtl::TObject* AObject);

// ---------------------------------------------------------------------------
// Base persistent objects

// IInterface without reference counting: AddRef and Release answer -1 and
// whoever created the object frees it. View infos, painters, controllers and
// tasks hand out interfaces to themselves without giving up their lifetime.
class TcxIUnknownObject : public rtl::TNoRefCountObject {
  RTL_CLASS(TcxIUnknownObject, rtl::TNoRefCountObject)
};

// A persistent object with IInterface whose references count on the owner's
// IInterface when the owner has one (the platform's TInterfacedPersistent),
// so it lives as long as its owner.
class TcxInterfacedPersistent : public rtl::TInterfacedPersistent {
  RTL_CLASS(TcxInterfacedPersistent, rtl::TInterfacedPersistent)

 public:
  // The owner is not owned; it normally owns this object.
  virtual void Create(rtl::TPersistent* AOwner);
  rtl::TPersistent* GetOwner() override;

 private:
  rtl::TPersistent* FOwner;
};

using TcxInterfacedPersistentClass = rtl::ClassOf<TcxInterfacedPersistent>;

class TcxOwnedPersistent : public rtl::TPersistent {
  RTL_CLASS(TcxOwnedPersistent, rtl::TPersistent)

 public:
  // The owner is not owned; it normally owns this object.
  virtual void Create(rtl::TPersistent* AOwner);

  // Any TcxOwnedPersistent source, of whatever branch, reaches CopyFrom, which
  // checks the source's class itself; other sources go to the platform's
  // Assign and raise EConvertError unless they can assign themselves.
  void Assign(rtl::TPersistent* ASource) override;
  rtl::TPersistent* GetOwner() override;

 protected:
  // Descendants copy their own values after calling the inherited CopyFrom.
  virtual void CopyFrom(rtl::TPersistent* ASource);

 private:
  rtl::TPersistent* FOwner;
};

using TcxOwnedPersistentClass = rtl::ClassOf<TcxOwnedPersistent>;

// An owned persistent object with IInterface counted as TcxIUnknownObject
// counts it: not at all.
class TcxOwnedInterfacedPersistent : public TcxOwnedPersistent, public rtl::IInterface {
  RTL_CLASS(TcxOwnedInterfacedPersistent, TcxOwnedPersistent)
  RTL_INTERFACE_TABLE(rtl::IInterface)

 public:
  HRESULT __stdcall QueryInterface(REFIID AIID, void** AObj) override;
  ULONG __stdcall AddRef() override;
  ULONG __stdcall Release() override;
};

using TcxFreeNotificationEvent = rtl::TMethod<void(rtl::TComponent* Sender)>;

// Each watched component, when freed, reaches OnFreeNotification once, with
// itself. A notificator with an owner also hears the removal of each of that
// owner's components, as every owned component does; made without owner it
// hears its senders only.
class TcxFreeNotificator : public rtl::TComponent {
  RTL_CLASS(TcxFreeNotificator, rtl::TComponent)

 public:
  // Nil is ignored by both.
  void AddSender(rtl::TComponent* ASender);
  void RemoveSender(rtl::TComponent* ASender);

  TcxFreeNotificationEvent GetOnFreeNotification() const { return FOnFreeNotification; }
  void SetOnFreeNotification(TcxFreeNotificationEvent AValue) { FOnFreeNotification = AValue; }

 protected:
  void Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation) override;

 private:
  TcxFreeNotificationEvent FOnFreeNotification;
};

// ---------------------------------------------------------------------------
// TcxObjectList

// A pointer list of objects that frees them on Clear (and so when destroyed)
// when it owns them. Unlike the platform's TObjectList it frees nothing on
// Delete or Remove.
class TcxObjectList : public rtl::TList {
  RTL_CLASS(TcxObjectList, rtl::TList)

 public:
  void Create(bool AOwnObjects = true);

  // When owning, frees the objects first to last, then empties the list.
  void Clear() override;
  // Free the object and delete its entry, owning or not.
  void FreeAndDelete(int AIndex);
  // The object's former index, or -1 when absent (nothing is freed then).
  int FreeAndRemove(rtl::TObject* AObject);

  rtl::TObject* GetItem(int AIndex) const { return static_cast<rtl::TObject*>(inherited::GetItem(AIndex)); }
  bool GetOwnObjects() const { return FOwnObjects; }

 protected:
  // Frees the object at AIndex; the entry stays.
  virtual void FreeItem(int AIndex);

 private:
  bool FOwnObjects;
};

// ---------------------------------------------------------------------------
// TcxEventHandlerCollection

// AEventArgs points at the record the caller passes; each handler knows its
// type.
using TcxEventHandler = rtl::TMethod<void(rtl::TObject* Sender, const void* AEventArgs)>;

class TcxEventHandlerCollection : public rtl::TObject {
  RTL_CLASS(TcxEventHandlerCollection, rtl::TObject)

 public:
  // Appends AEvent unless the same object and code are present already.
  void Add(TcxEventHandler AEvent);
  // Absent handlers are ignored.
  void Remove(TcxEventHandler AEvent);
  // Every handler in registration order. Handlers may add or remove handlers
  // while the walk runs: it calls at most the handlers present when it
  // started and never reads past the current end.
  void CallEvents(rtl::TObject* Sender, const void* AEventArgs);
  // The same with a record of one zero integer.
  void CallEvents(rtl::TObject* Sender);

  int GetCount() const { return static_cast<int>(FEvents.size()); }

 private:
  std::vector<TcxEventHandler> FEvents;
};

// ---------------------------------------------------------------------------
// TcxRegisteredClassList

class TcxRegisteredClassListItemData : public rtl::TObject {
  RTL_CLASS(TcxRegisteredClassListItemData, rtl::TObject)

 public:
  rtl::TClass ItemClass;
  rtl::TClass RegisteredClass;
};

// Maps item classes to registered classes. Every entry for a class comes
// after the entries for its ancestors, so a walk from the end meets the most
// specific registered ancestor of a class first.
class TcxRegisteredClassList : public rtl::TObject {
  RTL_CLASS(TcxRegisteredClassList, rtl::TObject)

 public:
  void Create() {}
  void Destroy() override;

  void Clear();
  // For the entry of AItemClass itself or of its nearest registered ancestor
  // (the latest registration among equals); nil when none.
  rtl::TClass FindClass(rtl::TClass AItemClass);

  int GetCount() const { return static_cast<int>(FItems.size()); }
  TcxRegisteredClassListItemData* GetItem(int AIndex) const;

  // True with the index of the last entry for AItemClass or an ancestor.
  // Otherwise False, and AIndex is the lowest position of an entry for a
  // descendant of AItemClass, or left as it was when there is none.
  virtual bool FindItemIndex(rtl::TClass AItemClass, int& AIndex);
  // Inserts after the entry FindItemIndex finds, else before the first
  // descendant entry, else at the end.
  virtual void Register(rtl::TClass AItemClass, rtl::TClass ARegisteredClass);
  // Removes every entry of exactly this pair.
  virtual void Unregister(rtl::TClass AItemClass, rtl::TClass ARegisteredClass);

 private:
  std::vector<TcxRegisteredClassListItemData*> FItems;
};

// ---------------------------------------------------------------------------
// TcxRegisteredClasses

// Classes with a description and a hint, each entry's text
// "description|hint" (or one text serving as both).
class TcxRegisteredClasses : public rtl::TObject {
  RTL_CLASS(TcxRegisteredClasses, rtl::TObject)

 public:
  // With ARegisterClasses, each class registered here is also registered
  // with the platform's class registry for streaming; such a class must
  // then be persistent.
  void Create(bool ARegisterClasses = false);
  void Destroy() override;

  void Clear();
  // A class already present keeps its entry and description.
  void Register(rtl::TClass AClass, const rtl::String& ADescription);
  // The streaming registration stays.
  void Unregister(rtl::TClass AClass);

  int GetCount() const { return static_cast<int>(FItems.size()); }
  rtl::TClass GetItem(int AIndex) const;
  // The text before the first "|", or all of it.
  rtl::String GetDescription(int AIndex) const;
  // The text after the first "|", or all of it.
  rtl::String GetHint(int AIndex) const;
  int GetIndexByClass(rtl::TClass AClass) const;
  // Empty for an absent class.
  rtl::String GetDescriptionByClass(rtl::TClass AClass) const;
  rtl::String GetHintByClass(rtl::TClass AClass) const;
  // The first class in list order whose name is exactly AClassName.
  rtl::TClass FindByClassName(const rtl::String& AClassName) const;
  // Nil for the empty text, even when a class has an empty description.
  rtl::TClass FindByDescription(const rtl::String& ADescription) const;

  bool GetSorted() const { return FSorted; }
  void SetSorted(bool AValue);

 protected:
  // The descriptions compared by the user's locale, ignoring case.
  virtual int CompareDescriptions(int AIndex1, int AIndex2);
  // By CompareDescriptions; entries of equal descriptions keep their order.
  virtual void SortItems();

 private:
  struct TItem {
    rtl::String Text;
    rtl::TClass Class;
  };

  void CheckIndex(int AIndex) const;

  std::vector<TItem> FItems;
  bool FRegisterClasses;
  bool FSorted;
};

// ---------------------------------------------------------------------------
// TdxHashSet

// A set of T. Equality and hashing are those of Hash and Eq: for pointers to
// objects, identity. The order of the elements carries no meaning.
template <class T, class Hash = std::hash<T>, class Eq = std::equal_to<T>>
class TdxHashSet : public rtl::TObject {
  RTL_CLASS(TdxHashSet, rtl::TObject)

 public:
  void Create() {}
  void Create(int ACapacity)
  {
    if (ACapacity > 0)
      FItems.reserve(static_cast<std::size_t>(ACapacity));
  }

  int GetCount() const { return static_cast<int>(FItems.size()); }
  bool Contains(const T& AValue) const { return FItems.contains(AValue); }
  void Clear() { FItems.clear(); }

  // Present values are left alone.
  void Include(const T& AValue) { FItems.insert(AValue); }
  void Include(const TdxHashSet& AValues)
  {
    if (&AValues != this)
      FItems.insert(AValues.FItems.begin(), AValues.FItems.end());
  }
  void Include(std::span<const T> AValues) { FItems.insert(AValues.begin(), AValues.end()); }

  // Absent values are ignored.
  void Exclude(const T& AValue) { FItems.erase(AValue); }
  void Exclude(const TdxHashSet& AValues)
  {
    if (&AValues == this)
      FItems.clear();
    else
      for (const T& value : AValues.FItems)
        FItems.erase(value);
  }
  void Exclude(std::span<const T> AValues)
  {
    for (const T& value : AValues)
      FItems.erase(value);
  }

  std::vector<T> ToArray() const { return {FItems.begin(), FItems.end()}; }

  auto begin() const { return FItems.begin(); }
  auto end() const { return FItems.end(); }

 private:
  std::unordered_set<T, Hash, Eq> FItems;
};

// ---------------------------------------------------------------------------
// Weak object links
//
// Code that calls out to user handlers, which may destroy an object, takes a
// link first and tests Ref afterwards:
//
//   TcxObjectLink* link = cxCreateWeakLink(this);
//   DoClick();                              // may free this
//   const bool alive = link->Ref != nullptr;
//   cxFreeWeakLink(link);                   // (in a guard, should DoClick raise)
//
// An object whose links must be cleared calls cxResetWeakLinks(this) in its
// destructor (every TcxComponent, control and container does).

class TcxObjectLink : public rtl::TObject {
  RTL_CLASS(TcxObjectLink, rtl::TObject)

 public:
  // The object referred to; nil once it has been destroyed.
  rtl::TObject* Ref;
};

class TcxObjectLinkController : public rtl::TObject {
  RTL_CLASS(TcxObjectLinkController, rtl::TObject)

 public:
  void Create();
  // The links still alive stay with their owners.
  void Destroy() override;

  // The caller owns the link.
  TcxObjectLink* AddLink(rtl::TObject* AObject);
  // Frees the link; a link whose object is gone is no longer in the set.
  void RemoveLink(TcxObjectLink* ALink);
  // Every link to AObject loses its object and leaves the set.
  void ClearLinks(rtl::TObject* AObject);

 private:
  TdxHashSet<TcxObjectLink*>* FLinks;
};

// Nil for a nil object. Outside the unit's life (shut-down) nothing could
// clear a link, so the link made then already reports its object gone:
// callers skip their work instead of touching an object that may be freed.
TcxObjectLink* cxCreateWeakLink(rtl::TObject* AObject);
// Nil-safe; also after the unit's finish.
void cxFreeWeakLink(TcxObjectLink*& ALink);
// Does nothing after the unit's finish.
void cxResetWeakLinks(rtl::TObject* AObject);

// ---------------------------------------------------------------------------
// Routines

class TcxDoublyLinkedObject : public rtl::TObject {
  RTL_CLASS(TcxDoublyLinkedObject, rtl::TObject)

 public:
  TcxDoublyLinkedObject* GetPrev() const { return FPrev; }
  void SetPrev(TcxDoublyLinkedObject* AValue) { FPrev = AValue; }
  TcxDoublyLinkedObject* GetNext() const { return FNext; }
  void SetNext(TcxDoublyLinkedObject* AValue) { FNext = AValue; }

 protected:
  TcxDoublyLinkedObject* FPrev;
  TcxDoublyLinkedObject* FNext;
};

using TcxDoublyLinkedObjectClass = rtl::ClassOf<TcxDoublyLinkedObject>;

// Owns its objects: Delete, Remove, Clear and the list's destruction free
// them.
class TcxDoublyLinkedObjectList : public rtl::TObject {
  RTL_CLASS(TcxDoublyLinkedObjectList, rtl::TObject)

 public:
  void Destroy() override;

  virtual TcxDoublyLinkedObject* CreateLinkedObject();
  // Appends ALinkedObject, which must not be in a list.
  virtual void AddLinkedObject(TcxDoublyLinkedObject* ALinkedObject);
  virtual TcxDoublyLinkedObjectClass GetLinkedObjectClass() const;
  virtual TcxDoublyLinkedObject* Add();
  virtual void Clear();
  virtual void Delete(TcxDoublyLinkedObject* ALinkedObject);
  // Unlinks ALinkedObject, which keeps its own Prev and Next.
  virtual void Extract(TcxDoublyLinkedObject* ALinkedObject);
  virtual void Remove(TcxDoublyLinkedObject* ALinkedObject);

  // ASource must not be in a list.
  void InsertBefore(TcxDoublyLinkedObject* ADestination, TcxDoublyLinkedObject* ASource);
  void InsertAfter(TcxDoublyLinkedObject* ADestination, TcxDoublyLinkedObject* ASource);

  int GetCount() const;
  TcxDoublyLinkedObject* GetFirst() const { return FFirst; }
  TcxDoublyLinkedObject* GetLast() const { return FLast; }

 protected:
  TcxDoublyLinkedObject* FFirst;
  TcxDoublyLinkedObject* FLast;
};


// Up to 257 characters; empty when the query fails.
rtl::String cxGetWindowClassName(HWND AHandle);
// The address of the character at the 1-based AIndex.
const wchar_t* cxStrCharPointer(const rtl::String& S, int AIndex);
// Bytes from the character at the 1-based AIndex to the next one: 4 for a
// surrogate pair, 2 otherwise, 0 at (or past) the end of the text.
int cxStrCharSize(const rtl::String& S, int AIndex);
TSize cxSizeFromValues(int ACX, int ACY);
// (A + B) / 2 rounded towards minus infinity.
int cxHalfSumFloor(int A, int B);
// -1 for a negative value, else 1 (also for a value that is no number).
int cxSignOf(double AValue);
// The structure's address goes in LParam and AValue in WParam when
// AStructInLParam, the other way round when not.
LRESULT cxSendMessageWithStructEx(HWND AHandle, UINT AMsg, void* AStruct, bool AStructInLParam, WPARAM AValue);
LRESULT cxSendMessageWithStruct(HWND AHandle, UINT AMsg, WPARAM AWParam, void* AStruct);

// ===========================================================================
// Message window and timers
//
// - TcxMessageWindow, a hidden message-only window wrapped as an object with
//   one virtual message handler;
// - TcxTimer, the system's timer component: every running TcxTimer is a
//   platform timer of one shared TcxTimerWindow, identified by the timer's
//   own address, instead of a window per timer;
// - cxNewTimer, cxGetTimerWindow and cxGetRunningTimers.
//
// All of it belongs to the user-interface thread: ticks come through that
// thread's message loop and the running list is not guarded.

class TdxFastList;

namespace rtl {
struct TMessage;
}

class TcxMessageWindow : public TcxIUnknownObject {
  RTL_CLASS(TcxMessageWindow, TcxIUnknownObject)

 public:
  // A message-only window (parent HWND_MESSAGE): it never shows and hears no
  // broadcasts, only what is sent or posted to it and its timers.
  virtual void Create();
  void Destroy() override;

  HWND GetHandle() const { return FHandle; }

 protected:
  // Passes the message to the default window procedure and keeps its result.
  virtual void HandleMessage(rtl::TMessage& AMessage);

 private:
  // The window's method: an exception out of HandleMessage goes to the
  // application's exception handler, and the window keeps working.
  void GuardedWindowProc(rtl::TMessage& AMessage);

  HWND FHandle;
};

// Delivers WM_TIMER to the timer it names, when that timer still runs.
class TcxTimerWindow : public TcxMessageWindow {
  RTL_CLASS(TcxTimerWindow, TcxMessageWindow)

 protected:
  void HandleMessage(rtl::TMessage& AMessage) override;
};

// Runs while Enabled with OnTimer assigned: creating a timer starts nothing,
// the first OnTimer (with Enabled True) starts it. A timer that the platform
// refuses stays stopped without an error.
class TcxTimer : public rtl::TComponent {
  RTL_CLASS(TcxTimer, rtl::TComponent)

 public:
  // Enabled, 1000 ms, no OnTimer.
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;

  // When enabled, restarts, so that the next tick comes a whole interval
  // later.
  void Reset();

  bool GetEnabled() const { return FEnabled; }
  // An unchanged value does nothing; a change restarts.
  void SetEnabled(bool AValue);
  unsigned GetInterval() const { return FInterval; }
  // 0 and the current value are ignored; a change restarts.
  void SetInterval(unsigned AValue);
  rtl::TNotifyEvent GetOnTimer() const { return FOnTimer; }
  // Restarts, also when the handler is the same.
  void SetOnTimer(rtl::TNotifyEvent AValue);

  // True while a platform timer runs for this object: exactly while its
  // identifier is in the running list.
  bool GetTimerOn() const;

 protected:
  // Each tick; calls OnTimer with the timer as sender.
  virtual void DoTimer();

 private:
  friend class TcxTimerWindow;

  void Restart();
  void Start();
  void Stop();

  bool FEnabled;
  // The identifier given to the platform: the object's own address.
  UINT_PTR FEventID;
  unsigned FInterval;
  rtl::TNotifyEvent FOnTimer;
};

// A timer without owner, set up in this order: Enabled, Interval, OnTimer.
// The caller frees it.
TcxTimer* cxNewTimer(unsigned AInterval, bool AEnabled, rtl::TNotifyEvent AOnTimer);

// Each created on its first call (the first timer start makes both) and
// freed by the unit's finish; from then on nil, so no timer starts any more.
TcxTimerWindow* cxGetTimerWindow();
// The identifiers of the running timers.
TdxFastList* cxGetRunningTimers();
