#include "core/cxClasses.h"

void TcxOwnedPersistent::Create(rtl::TPersistent* AOwner)
{
  inherited::Create();
  FOwner = AOwner;
}

void TcxOwnedPersistent::Assign(rtl::TPersistent* ASource)
{
  if (rtl::Is<TcxOwnedPersistent>(ASource))
    CopyFrom(ASource);
  else
    inherited::Assign(ASource);
}

rtl::TPersistent* TcxOwnedPersistent::GetOwner()
{
  return FOwner;
}

void TcxOwnedPersistent::CopyFrom(rtl::TPersistent* /*ASource*/) {}

void TcxDoublyLinkedObjectList::Destroy()
{
  Clear();
  inherited::Destroy();
}

TcxDoublyLinkedObject* TcxDoublyLinkedObjectList::CreateLinkedObject()
{
  return GetLinkedObjectClass().Create();
}

void TcxDoublyLinkedObjectList::AddLinkedObject(TcxDoublyLinkedObject* ALinkedObject)
{
  ALinkedObject->SetPrev(FLast);
  if (FFirst == nullptr)
    FFirst = ALinkedObject;
  if (FLast != nullptr)
    FLast->SetNext(ALinkedObject);
  FLast = ALinkedObject;
}

TcxDoublyLinkedObjectClass TcxDoublyLinkedObjectList::GetLinkedObjectClass() const
{
  return TcxDoublyLinkedObjectClass::Of<TcxDoublyLinkedObject>();
}

TcxDoublyLinkedObject* TcxDoublyLinkedObjectList::Add()
{
  TcxDoublyLinkedObject* result = CreateLinkedObject();
  AddLinkedObject(result);
  return result;
}

void TcxDoublyLinkedObjectList::Clear()
{
  // Last to first; each object is unlinked before it goes, so that nothing
  // its destruction reaches sees a freed neighbour.
  while (FLast != nullptr) {
    TcxDoublyLinkedObject* object = FLast;
    FLast = object->GetPrev();
    if (FLast != nullptr)
      FLast->SetNext(nullptr);
    rtl::Free(object);
  }
  FFirst = nullptr;
}

void TcxDoublyLinkedObjectList::Delete(TcxDoublyLinkedObject* ALinkedObject)
{
  Extract(ALinkedObject);
  rtl::Free(ALinkedObject);
}

void TcxDoublyLinkedObjectList::Extract(TcxDoublyLinkedObject* ALinkedObject)
{
  TcxDoublyLinkedObject* prev = ALinkedObject->GetPrev();
  TcxDoublyLinkedObject* next = ALinkedObject->GetNext();
  if (prev != nullptr)
    prev->SetNext(next);
  else if (FFirst == ALinkedObject)
    FFirst = next;
  if (next != nullptr)
    next->SetPrev(prev);
  else if (FLast == ALinkedObject)
    FLast = prev;
}

void TcxDoublyLinkedObjectList::Remove(TcxDoublyLinkedObject* ALinkedObject)
{
  Delete(ALinkedObject);
}

void TcxDoublyLinkedObjectList::InsertBefore(TcxDoublyLinkedObject* ADestination, TcxDoublyLinkedObject* ASource)
{
  TcxDoublyLinkedObject* prev = ADestination->GetPrev();
  ASource->SetPrev(prev);
  ASource->SetNext(ADestination);
  if (prev != nullptr)
    prev->SetNext(ASource);
  ADestination->SetPrev(ASource);
  if (FFirst == ADestination)
    FFirst = ASource;
}

void TcxDoublyLinkedObjectList::InsertAfter(TcxDoublyLinkedObject* ADestination, TcxDoublyLinkedObject* ASource)
{
  TcxDoublyLinkedObject* next = ADestination->GetNext();
  ASource->SetNext(next);
  ASource->SetPrev(ADestination);
  if (next != nullptr)
    next->SetPrev(ASource);
  ADestination->SetNext(ASource);
  if (FLast == ADestination)
    FLast = ASource;
}

int TcxDoublyLinkedObjectList::GetCount() const
{
  int result = 0;
  for (TcxDoublyLinkedObject* object = FLast; object != nullptr; object = object->GetPrev())
    ++result;
  return result;
}
