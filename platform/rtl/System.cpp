#include "platform/rtl/System.h"

#include "platform/rtl/ClassesThreads.h"

namespace rtl {

namespace {

wchar_t SystemAsciiUpper(wchar_t AChar)
{
  return AChar >= L'a' && AChar <= L'z' ? AChar - (L'a' - L'A') : AChar;
}

// The newest watch of this thread: handlers run, and free what they free,
// on the thread that called them.
thread_local TFreeWatch* t_freeWatches = nullptr;

}  // namespace

bool TClassInfo::ClassNameIs(std::wstring_view AName) const
{
  const std::wstring_view name = Name;
  if (name.size() != AName.size())
    return false;
  for (std::size_t i = 0; i < name.size(); ++i)
    if (SystemAsciiUpper(name[i]) != SystemAsciiUpper(AName[i]))
      return false;
  return true;
}

bool TClassInfo::InheritsFrom(TClass AClass) const
{
  for (TClass c = this; c; c = c->Parent)
    if (c == AClass)
      return true;
  return false;
}

void AbstractError()
{
  throw EAbstractError(L"Abstract Error");
}

// ---------------------------------------------------------------------------
// TObject

void TObject::Free()
{
  rtl::Free(this);
}

void TObject::Free(TObject* AObject)
{
  rtl::Free(AObject);
}

void* TObject::NewInstance(std::size_t ASize)
{
  void* memory = ::operator new(ASize, std::nothrow);
  if (!memory)
    throw EOutOfMemory(L"Out of memory");
  return memory;
}

void TObject::FreeInstance()
{
  ::operator delete(CleanupInstance());
}

void* TObject::CleanupInstance()
{
  // The address of the whole object, which is where its memory starts; the
  // destructor call is virtual, so it runs the most derived class's.
  void* memory = dynamic_cast<void*>(this);
  this->~TObject();
  return memory;
}

const TInterfaceEntry* TObject::GetInterfaceEntry(REFIID AIID) const
{
  for (TClass c = ClassType(); c; c = c->Parent) {
    if (!c->Interfaces)
      continue;
    for (const TInterfaceEntry& entry : c->Interfaces())
      if (IsEqualGUID(*entry.Guid, AIID))
        return &entry;
  }
  return nullptr;
}

bool TObject::GetInterface(REFIID AIID, void** AObj)
{
  const TInterfaceEntry* entry = GetInterfaceEntry(AIID);
  if (!entry) {
    *AObj = nullptr;
    return false;
  }
  IInterface* intf = entry->Get(this);
  intf->AddRef();
  *AObj = intf;
  return true;
}

void TObject::Dispatch(TMessage& AMessage)
{
  detail::DispatchFrom(ClassType(), this, AMessage);
}

void TObject::DefaultHandler(TMessage&) {}

void detail::DispatchFrom(TClass AClass, TObject* AObject, TMessage& AMessage)
{
  for (TClass c = AClass; c; c = c->Parent) {
    if (!c->Messages)
      continue;
    for (const TMessageEntry& entry : c->Messages())
      if (entry.Msg == AMessage.Msg) {
        entry.Handler(AObject, AMessage);
        return;
      }
  }
  AObject->DefaultHandler(AMessage);
}

void detail::DestroyAndFree(TObject* AObject) noexcept
{
  for (TFreeWatch* watch = t_freeWatches; watch; watch = watch->FNext)
    if (watch->FObject == AObject)
      watch->FObject = nullptr;
  try {
    AObject->Destroy();
  } catch (...) {
    HandleCallbackException(AObject);
    return;
  }
  AObject->FreeInstance();
}

void Free(TObject* AObject)
{
  if (!AObject)
    return;
  AObject->BeforeDestruction();
  detail::DestroyAndFree(AObject);
}

// ---------------------------------------------------------------------------
// TFreeWatch

TFreeWatch::TFreeWatch(const TObject* AObject) noexcept : FObject(AObject), FPrev(nullptr), FNext(t_freeWatches)
{
  if (FNext)
    FNext->FPrev = this;
  t_freeWatches = this;
}

TFreeWatch::~TFreeWatch()
{
  if (FPrev)
    FPrev->FNext = FNext;
  else
    t_freeWatches = FNext;
  if (FNext)
    FNext->FPrev = FPrev;
}

// ---------------------------------------------------------------------------
// Interfaces

bool Supports(const TObject* AObject, REFIID AIID)
{
  return AObject && AObject->GetInterfaceEntry(AIID);
}

bool Supports(TObject* AObject, REFIID AIID, void** AOut)
{
  *AOut = nullptr;
  if (!AObject)
    return false;
  // Asked without counting first, so a failed query cannot free an object
  // of a counted class that nobody holds yet.
  if (const TInterfaceEntry* unknown = AObject->GetInterfaceEntry(IIDOf<IInterface>()))
    return SUCCEEDED(unknown->Get(AObject)->QueryInterface(AIID, AOut)) && *AOut;
  return AObject->GetInterface(AIID, AOut);
}

HRESULT TInterfacedObject::QueryInterface(REFIID AIID, void** AObj)
{
  if (!AObj)
    return E_POINTER;
  return GetInterface(AIID, AObj) ? S_OK : E_NOINTERFACE;
}

ULONG TInterfacedObject::AddRef()
{
  return InterlockedIncrement(&FRefCount);
}

ULONG TInterfacedObject::Release()
{
  const LONG count = InterlockedDecrement(&FRefCount);
  if (count == 0)
    rtl::Free(this);
  return count;
}

void TInterfacedObject::AfterConstruction()
{
  inherited::AfterConstruction();
  // Without freeing at 0: whoever called New holds the object now.
  InterlockedDecrement(&FRefCount);
}

void TInterfacedObject::BeforeDestruction()
{
  if (FRefCount != 0)
    throw EInvalidPointer(L"Invalid pointer operation");
  // Marks the object as dying: a reference Destroy takes and drops (handing
  // itself to a list of interfaces, say) then cannot bring the count back to
  // 0 and free the object a second time.
  FRefCount = kDestroying;
  inherited::BeforeDestruction();
}

int TInterfacedObject::RefCount() const
{
  return FRefCount & ~kDestroying;
}

HRESULT TNoRefCountObject::QueryInterface(REFIID AIID, void** AObj)
{
  if (!AObj)
    return E_POINTER;
  return GetInterface(AIID, AObj) ? S_OK : E_NOINTERFACE;
}

ULONG TNoRefCountObject::AddRef()
{
  return static_cast<ULONG>(-1);
}

ULONG TNoRefCountObject::Release()
{
  return static_cast<ULONG>(-1);
}

}  // namespace rtl
