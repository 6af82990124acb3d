#pragma once
// Base classes of the core library:
// - TcxOwnedPersistent, a persistent object that remembers its owner and is
//   made through a virtual constructor taking the owner, so that a container
//   can create its parts from a class reference;
// - TcxDoublyLinkedObject and TcxDoublyLinkedObjectList, an owning doubly
//   linked list whose item class a descendant chooses by overriding
//   GetLinkedObjectClass (the XML node and attribute lists).

#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"

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
