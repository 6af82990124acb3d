// The object model of the run-time library:
// - TObject, the root class, and its two-phase life cycle: New, Free, FreeAndNil;
// - TFreeWatch: did a call free the object it was made on?
// - class records and class references: TClass, ClassOf<T>, Is, As;
// - message tables and Dispatch;
// - COM-compatible interfaces: IInterface, IPtr, Supports, TInterfacedObject,
//   TNoRefCountObject;
// - AbstractError.
//
// A class declares itself with macros at the top of its body, ahead of its
// first access specifier (they leave the access private, as a class body
// starts):
//
//   class TShape : public TNoRefCountObject, public IDrawable {
//     RTL_CLASS(TShape, TNoRefCountObject)
//     RTL_INTERFACES(IDrawable)
//     RTL_MESSAGES(RTL_MESSAGE(CM_COLORCHANGED, CMColorChanged))
//    public:
//     virtual void Create(int ASize);
//     void Destroy() override;
//    ...
//   };
//
// List the TObject-derived base first, ahead of the interfaces: the object then
// starts at its TObject part, as code that keeps objects as plain addresses
// (method pointers, window properties) expects.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <new>
#include <span>
#include <string_view>
#include <type_traits>
#include <utility>

#include "platform/rtl/Messages.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/SystemTypes.h"

namespace rtl {

class TObject;
struct TClassInfo;
// Published properties and methods; TypInfo.h declares them and the macros
// that publish them.
struct TPropInfo;
struct TMethodEntry;

// "class of TObject": a pointer to the class record.
using TClass = const TClassInfo*;

// COM's IUnknown itself, so that the same objects serve Windows' own
// interfaces (IStream, IAccessible, ...).
using IInterface = ::IUnknown;

// One row of a class's interface table: the interface's GUID and how to reach
// the interface part of an object of the declaring class.
struct TInterfaceEntry {
  const GUID* Guid;
  IInterface* (*Get)(TObject* AObject);
};

// One row of a class's message table.
struct TMessageEntry {
  UINT Msg;
  void (*Handler)(TObject* AObject, TMessage& AMessage);
};

// The class record ("metaclass"). One constant record per class, made by
// RTL_CLASS; tables are null when the class declares none of its own.
struct TClassInfo {
  const wchar_t* Name;
  TClass Parent;
  // A blank instance of exactly this class: allocated through the class's
  // NewInstance, zero-filled, not yet created. Null for abstract classes.
  TObject* (*Factory)();
  std::span<const TInterfaceEntry> (*Interfaces)();
  std::span<const TMessageEntry> (*Messages)();
  std::span<const TPropInfo> (*Properties)();
  std::span<const TMethodEntry> (*PublishedMethods)();

  String ClassName() const { return Name; }
  // Compares ignoring case, as class names are looked up.
  bool ClassNameIs(std::wstring_view AName) const;
  TClass ClassParent() const { return Parent; }
  // True for the class itself and its descendants; false for nil.
  bool InheritsFrom(TClass AClass) const;
};

// Raises EAbstractError: the body of a slot a class leaves abstract.
[[noreturn]] void AbstractError();

namespace detail {

template <class T>
inline constexpr bool IsDeclaredClass = std::is_same_v<typename T::RtlSelf, T>;

void DispatchFrom(TClass AClass, TObject* AObject, TMessage& AMessage);

}  // namespace detail

// An interface's GUID: the one RTL_GUID declares, else Windows' own (__uuidof)
// for the interfaces of windows.h.
template <class I>
constexpr const GUID& IIDOf() noexcept
{
  if constexpr (requires { typename I::RtlGuidOwner; }) {
    static_assert(std::is_same_v<typename I::RtlGuidOwner, I>, "the interface needs its own RTL_GUID");
    return I::Guid;
  } else {
    return __uuidof(I);
  }
}

// What the macros below expand to.

namespace detail {

template <class T>
TObject* NewBlank()
{
  static_assert(std::is_nothrow_default_constructible_v<T>,
                "a framework class's C++ constructor holds no logic: Create does the work");
  static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);
  void* memory = T::NewInstance(sizeof(T));
  if (!memory)
    throw EOutOfMemory(L"Out of memory");
  std::memset(memory, 0, sizeof(T));
  return ::new (memory) T();
}

template <class T>
consteval TClass ParentOf()
{
  if constexpr (std::is_same_v<T, TObject>) {
    return nullptr;
  } else {
    static_assert(std::is_base_of_v<typename T::inherited, T> && IsDeclaredClass<typename T::inherited>);
    return T::inherited::StaticClass();
  }
}

// C++ cannot make an instance of an abstract class, so its record has no
// factory and creating one from a class reference raises EAbstractError (the
// framework raises it later, when the abstract slot is called).
template <class T>
consteval TObject* (*FactoryOf())()
{
  if constexpr (std::is_abstract_v<T>)
    return nullptr;
  else
    return &NewBlank<T>;
}

template <class T>
consteval std::span<const TInterfaceEntry> (*OwnInterfaces())()
{
  if constexpr (std::is_same_v<typename T::RtlInterfacesOwner, T>)
    return &T::RtlInterfaces;
  else
    return nullptr;
}

template <class T>
consteval std::span<const TMessageEntry> (*OwnMessages())()
{
  if constexpr (std::is_same_v<typename T::RtlMessagesOwner, T>)
    return &T::RtlMessages;
  else
    return nullptr;
}

// Through the declaring class, so that an IInterface reached through several
// bases is the one that class implements.
template <class T, class I>
IInterface* GetInterfaceOf(TObject* AObject)
{
  return static_cast<IInterface*>(static_cast<I*>(static_cast<T*>(AObject)));
}

template <class T, class... I>
inline constexpr TInterfaceEntry InterfaceTableOf[] = {{&IIDOf<I>(), &GetInterfaceOf<T, I>}...};

template <class>
struct MessageHandlerTraits;

template <class C, class M>
struct MessageHandlerTraits<void (C::*)(M&)> {
  using Class = C;
  using Record = M;
};

template <auto AHandler>
void MessageThunk(TObject* AObject, TMessage& AMessage)
{
  using Traits = MessageHandlerTraits<decltype(AHandler)>;
  using Record = typename Traits::Record;
  static_assert(sizeof(Record) == sizeof(TMessage) && std::is_standard_layout_v<Record>);
  (static_cast<typename Traits::Class*>(AObject)->*AHandler)(reinterpret_cast<Record&>(AMessage));
}

consteval unsigned HexDigit(char AChar)
{
  if (AChar >= '0' && AChar <= '9')
    return AChar - '0';
  if (AChar >= 'A' && AChar <= 'F')
    return AChar - 'A' + 10;
  if (AChar >= 'a' && AChar <= 'f')
    return AChar - 'a' + 10;
  throw "not a hexadecimal digit";
}

consteval unsigned long HexNumber(const char* AText, int ADigits)
{
  unsigned long result = 0;
  for (int i = 0; i < ADigits; ++i)
    result = result * 16 + HexDigit(AText[i]);
  return result;
}

// TObject publishes nothing, so the owner types are looked for, not required.
template <class T>
consteval std::span<const TPropInfo> (*OwnProperties())()
{
  if constexpr (requires { typename T::RtlPropertiesOwner; }) {
    if constexpr (std::is_same_v<typename T::RtlPropertiesOwner, T>)
      return &T::RtlProperties;
  }
  return nullptr;
}

template <class T>
consteval std::span<const TMethodEntry> (*OwnPublishedMethods())()
{
  if constexpr (requires { typename T::RtlPublishedMethodsOwner; }) {
    if constexpr (std::is_same_v<typename T::RtlPublishedMethodsOwner, T>)
      return &T::RtlPublishedMethods;
  }
  return nullptr;
}

template <class T>
inline constexpr TClassInfo ClassInfoOf{T::RtlClassName(),  ParentOf<T>(),      FactoryOf<T>(),
                                        OwnInterfaces<T>(),  OwnMessages<T>(),   OwnProperties<T>(),
                                        OwnPublishedMethods<T>()};

}  // namespace detail

// Parses "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" while compiling, so
// interface GUIDs are written as they are quoted.
consteval GUID GUIDLiteral(const char (&AText)[39])
{
  if (AText[0] != '{' || AText[9] != '-' || AText[14] != '-' || AText[19] != '-' || AText[24] != '-' ||
      AText[37] != '}')
    throw "a GUID is written {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";
  GUID result{};
  result.Data1 = detail::HexNumber(AText + 1, 8);
  result.Data2 = static_cast<unsigned short>(detail::HexNumber(AText + 10, 4));
  result.Data3 = static_cast<unsigned short>(detail::HexNumber(AText + 15, 4));
  constexpr int offsets[8] = {20, 22, 25, 27, 29, 31, 33, 35};
  for (int i = 0; i < 8; ++i)
    result.Data4[i] = static_cast<unsigned char>(detail::HexNumber(AText + offsets[i], 2));
  return result;
}

// Declares a class to the object model: `inherited`, StaticClass() (the class
// record, usable without an instance) and the ClassType() override.
#define RTL_CLASS(AClass, AParent)                                                    \
 public:                                                                              \
  using inherited = AParent;                                                          \
  using RtlSelf = AClass;                                                             \
  static constexpr const wchar_t* RtlClassName() noexcept { return L## #AClass; }     \
  static constexpr ::rtl::TClass StaticClass() noexcept                               \
  {                                                                                   \
    return &::rtl::detail::ClassInfoOf<AClass>;                                       \
  }                                                                                   \
  ::rtl::TClass ClassType() const noexcept override { return StaticClass(); }        \
                                                                                      \
 private:

// Declares the interfaces a class adds, in the order queries search them.
// This table only; the class that first implements IInterface's methods uses
// it and writes QueryInterface, AddRef and Release itself.
#define RTL_INTERFACE_TABLE(...)                                                       \
 public:                                                                               \
  using RtlInterfacesOwner = RtlSelf;                                                  \
  static std::span<const ::rtl::TInterfaceEntry> RtlInterfaces() noexcept             \
  {                                                                                    \
    return ::rtl::detail::InterfaceTableOf<RtlSelf, __VA_ARGS__>;                      \
  }                                                                                    \
                                                                                       \
 private:

// The interface table plus QueryInterface, AddRef and Release passed on to the
// parent class: the new interfaces' copies of IUnknown's methods need a final
// overrider in this class.
#define RTL_INTERFACES(...)                                                                      \
  RTL_INTERFACE_TABLE(__VA_ARGS__)                                                               \
 public:                                                                                         \
  HRESULT __stdcall QueryInterface(REFIID AIID, void** AObj) override                            \
  {                                                                                              \
    return inherited::QueryInterface(AIID, AObj);                                                \
  }                                                                                              \
  ULONG __stdcall AddRef() override { return inherited::AddRef(); }                              \
  ULONG __stdcall Release() override { return inherited::Release(); }                            \
                                                                                                 \
 private:

// Declares an interface's GUID inside the interface:
//   struct IdxTaskEvent : rtl::IInterface {
//     RTL_GUID(IdxTaskEvent, "{3CAF68AD-4959-429F-A6BB-19DC671BD3BB}")
//     ...
// Naming the interface stops a derived interface that forgets its own GUID
// from answering with its parent's.
#define RTL_GUID(AInterface, AText)                                 \
 public:                                                            \
  using RtlGuidOwner = AInterface;                                  \
  static constexpr GUID Guid = ::rtl::GUIDLiteral(AText);

// Published properties and methods: RTL_PUBLISHED and RTL_PUBLISHED_METHODS
// in TypInfo.h.

// The message handlers of a class, RTL_MESSAGE(number, handler) each. A
// handler is `void H(TMessage&)` or takes a record of TMessage's layout.
#define RTL_MESSAGES(...)                                                 \
 public:                                                                  \
  using RtlMessagesOwner = RtlSelf;                                       \
  static std::span<const ::rtl::TMessageEntry> RtlMessages() noexcept     \
  {                                                                       \
    static constexpr ::rtl::TMessageEntry table[] = {__VA_ARGS__};        \
    return table;                                                         \
  }                                                                       \
                                                                          \
 private:

#define RTL_MESSAGE(AMsg, AHandler) \
  ::rtl::TMessageEntry { (AMsg), &::rtl::detail::MessageThunk<&RtlSelf::AHandler> }

// The root class. Its C++ constructor and destructor hold no logic: the
// framework's constructor bodies are Create(...) members and its destructor
// body is Destroy(), run by New and Free on the whole, most derived object,
// so virtual calls from them reach the overrides.
class TObject {
 public:
  using RtlSelf = TObject;
  using RtlInterfacesOwner = TObject;
  using RtlMessagesOwner = TObject;
  static constexpr const wchar_t* RtlClassName() noexcept { return L"TObject"; }
  static constexpr TClass StaticClass() noexcept { return &detail::ClassInfoOf<TObject>; }
  static std::span<const TInterfaceEntry> RtlInterfaces() noexcept { return {}; }
  static std::span<const TMessageEntry> RtlMessages() noexcept { return {}; }

  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  void Create() {}
  // Does not raise: it runs where nobody can handle an exception (an owner's
  // Destroy, a smart pointer's destructor), and one that stopped it half-way
  // would leave the object still listed by its owner, parent or notifiers.
  // What can fail (a last write) is done by an explicit call before Free.
  virtual void Destroy() {}
  virtual void AfterConstruction() {}
  // May refuse the destruction by raising, before anything is undone.
  virtual void BeforeDestruction() {}
  // BeforeDestruction, Destroy, then the memory goes. rtl::Free is the
  // nil-safe form.
  void Free();
  // rtl::Free, which the member above would otherwise hide inside the
  // members of every framework class.
  static void Free(TObject* AObject);

  // Memory for an instance of ASize bytes; the object model zero-fills it. A
  // class with its own allocator declares its own static NewInstance, which
  // its descendants inherit, and overrides FreeInstance to match.
  static void* NewInstance(std::size_t ASize);
  // Ends the C++ lifetime (CleanupInstance) and returns the memory.
  virtual void FreeInstance();

  virtual TClass ClassType() const noexcept { return StaticClass(); }
  String ClassName() const { return ClassType()->ClassName(); }
  bool ClassNameIs(std::wstring_view AName) const { return ClassType()->ClassNameIs(AName); }
  TClass ClassParent() const { return ClassType()->ClassParent(); }
  bool InheritsFrom(TClass AClass) const { return ClassType()->InheritsFrom(AClass); }

  // The interface table row for AIID, searching the class and then its
  // ancestors; null when the class does not list the interface.
  const TInterfaceEntry* GetInterfaceEntry(REFIID AIID) const;
  // Fills AObj with the interface, counted (AddRef), and answers true; else
  // AObj becomes null.
  bool GetInterface(REFIID AIID, void** AObj);

  // Runs the handler of the message's number from the class's message table,
  // or its ancestors' (derived first), else DefaultHandler.
  virtual void Dispatch(TMessage& AMessage);
  virtual void DefaultHandler(TMessage& AMessage);

 protected:
  // Runs the C++ destructors (strings and other members) and answers the
  // memory to return; for FreeInstance overrides.
  void* CleanupInstance();
};

static_assert(std::is_nothrow_default_constructible_v<TObject>);

// ---------------------------------------------------------------------------
// Construction and destruction

namespace detail {

// Tells the watches, runs Destroy and returns the memory. A Destroy that
// breaks the rule and raises may have stopped before its base classes undid
// the links others hold to the object (owner, parent, notification lists,
// window property): the exception goes to the run-time's reporting hook and
// the memory stays, a leak rather than a later use of freed memory.
void DestroyAndFree(TObject* AObject) noexcept;

// Runs ACreate and AfterConstruction on a blank object; when either raises,
// destroys and frees it as above and passes the first exception on, which
// says why the object could not be made.
template <class T, class F>
T* Construct(T* AObject, F&& ACreate)
{
  try {
    ACreate(AObject);
    AObject->AfterConstruction();
  } catch (...) {
    DestroyAndFree(AObject);
    throw;
  }
  return AObject;
}

}  // namespace detail

// Allocates a T, runs T's Create(AArgs...), then AfterConstruction.
template <class T, class... A>
T* New(A&&... AArgs)
{
  static_assert(detail::IsDeclaredClass<T>, "declare the class with RTL_CLASS");
  T* object = static_cast<T*>(detail::NewBlank<T>());
  return detail::Construct(object, [&](T* AObject) { AObject->Create(std::forward<A>(AArgs)...); });
}

// New for the framework's named constructors (CreateEx, CreateFmt, ...):
// ACreate runs one of them on the blank T in place of Create.
//   rtl::NewWith<TdxMatrix>([&](TdxMatrix* M) { M->CreateEx(ASource); })
template <class T, class F>
T* NewWith(F&& ACreate)
{
  static_assert(detail::IsDeclaredClass<T>, "declare the class with RTL_CLASS");
  T* object = static_cast<T*>(detail::NewBlank<T>());
  return detail::Construct(object, std::forward<F>(ACreate));
}

// Nil-safe Free: BeforeDestruction, Destroy, then the memory goes. Raises
// only what BeforeDestruction raises to refuse, with the object untouched;
// what Destroy raises is reported and keeps the memory (DestroyAndFree).
void Free(TObject* AObject);

// For the rare owner that is no framework object (a helper, a test): a
// unique_ptr that frees through Free.
struct TFreeDeleter {
  void operator()(TObject* AObject) const { Free(AObject); }
};
template <class T>
using TOwnedPtr = std::unique_ptr<T, TFreeDeleter>;

// Clears the variable first, so nothing reached from Destroy sees the dying
// object through it, then frees.
template <class T>
void FreeAndNil(T*& AObject)
{
  TObject* object = AObject;
  AObject = nullptr;
  Free(object);
}

// Watches an object through a call that may free it: an event handler that
// closes the page its sender is on, deletes the node being expanded, frees
// the menu being shown. Take the watch before the call, ask Freed() after;
// once true, nothing of the object may be touched. Free tells every watch of
// the object on the freeing thread, once its BeforeDestruction has accepted,
// so any object can be watched and no class keeps anything for it. Watches
// nest, and the object may be freed while the watch lives or not at all.
class TFreeWatch {
 public:
  explicit TFreeWatch(const TObject* AObject) noexcept;
  ~TFreeWatch();
  TFreeWatch(const TFreeWatch&) = delete;
  TFreeWatch& operator=(const TFreeWatch&) = delete;

  bool Freed() const noexcept { return FObject == nullptr; }

 private:
  friend void detail::DestroyAndFree(TObject*) noexcept;

  const TObject* FObject;
  // The watches of this thread, in a list whose head the run-time keeps.
  TFreeWatch* FPrev;
  TFreeWatch* FNext;
};

// ---------------------------------------------------------------------------
// Class references

// "class of T": nil or the record of T or of a descendant.
template <class T>
class ClassOf {
 public:
  constexpr ClassOf() noexcept = default;
  constexpr ClassOf(std::nullptr_t) noexcept {}
  // A reference to a descendant's class converts to one of its ancestor's.
  template <class D>
    requires std::is_base_of_v<T, D>
  constexpr ClassOf(ClassOf<D> AOther) noexcept : FClass(AOther.ClassType())
  {
  }
  // Checked: raises EInvalidCast unless AClass is nil or descends from T.
  explicit ClassOf(TClass AClass) : FClass(AClass)
  {
    if (AClass && !AClass->InheritsFrom(T::StaticClass()))
      throw EInvalidCast(L"Invalid class typecast");
  }

  template <class D>
  static constexpr ClassOf Of() noexcept
  {
    static_assert(std::is_base_of_v<T, D> && detail::IsDeclaredClass<D>);
    ClassOf result;
    result.FClass = D::StaticClass();
    return result;
  }

  constexpr TClass ClassType() const noexcept { return FClass; }
  constexpr operator TClass() const noexcept { return FClass; }
  constexpr explicit operator bool() const noexcept { return FClass != nullptr; }

  String ClassName() const { return FClass->ClassName(); }
  bool InheritsFrom(TClass AClass) const { return FClass && FClass->InheritsFrom(AClass); }

  // The framework's virtual constructor: makes a blank instance of the exact
  // class referred to and runs the Create(AArgs...) that T declares, which
  // dispatches to the class's override, then AfterConstruction; a failure
  // destroys and frees the object as New does. Raises EAbstractError for an
  // abstract class.
  template <class... A>
  T* Create(A&&... AArgs) const
  {
    if (!FClass)
      throw EInvalidPointer(L"Invalid pointer operation");
    if (!FClass->Factory)
      AbstractError();
    T* object = static_cast<T*>(FClass->Factory());
    return detail::Construct(object, [&](T* AObject) { AObject->Create(std::forward<A>(AArgs)...); });
  }

 private:
  TClass FClass = nullptr;
};

// True when AObject is not nil and is a T or a descendant's instance.
template <class T>
bool Is(const TObject* AObject)
{
  static_assert(detail::IsDeclaredClass<T>, "declare the class with RTL_CLASS");
  return AObject && AObject->InheritsFrom(T::StaticClass());
}

// The framework's "as": nil stays nil; an object of another class raises
// EInvalidCast.
template <class T>
T* As(TObject* AObject)
{
  static_assert(detail::IsDeclaredClass<T>, "declare the class with RTL_CLASS");
  if (AObject && !AObject->InheritsFrom(T::StaticClass()))
    throw EInvalidCast(L"Invalid class typecast");
  return static_cast<T*>(AObject);
}

template <class T>
const T* As(const TObject* AObject)
{
  return As<T>(const_cast<TObject*>(AObject));
}

// ---------------------------------------------------------------------------
// Messages

// The framework's `inherited` inside a message handler: runs the handler an
// ancestor of the handler's own class has for the message, else
// DefaultHandler. Called as InheritedMessage(this, Message), so the class is
// the one whose handler is running, not the object's.
template <class T, class M>
void InheritedMessage(T* ASelf, M& AMessage)
{
  static_assert(detail::IsDeclaredClass<T>, "declare the class with RTL_CLASS");
  static_assert(sizeof(M) == sizeof(TMessage) && std::is_standard_layout_v<M>);
  detail::DispatchFrom(T::inherited::StaticClass(), ASelf, reinterpret_cast<TMessage&>(AMessage));
}

// ---------------------------------------------------------------------------
// Interfaces

// An interface variable: counts a reference (AddRef) while it holds the
// interface, and releases it when reset, reassigned or gone.
template <class I>
class IPtr {
 public:
  constexpr IPtr() noexcept = default;
  constexpr IPtr(std::nullptr_t) noexcept {}
  IPtr(I* AIntf) noexcept : FIntf(AIntf)
  {
    if (FIntf)
      FIntf->AddRef();
  }
  IPtr(const IPtr& AOther) noexcept : IPtr(AOther.FIntf) {}
  IPtr(IPtr&& AOther) noexcept : FIntf(std::exchange(AOther.FIntf, nullptr)) {}
  template <class D>
    requires std::is_convertible_v<D*, I*>
  IPtr(const IPtr<D>& AOther) noexcept : IPtr(static_cast<I*>(AOther.Get()))
  {
  }
  ~IPtr() { Reset(); }

  IPtr& operator=(IPtr AOther) noexcept
  {
    std::swap(FIntf, AOther.FIntf);
    return *this;
  }

  // Takes over a reference already counted for us, as QueryInterface leaves
  // one.
  static IPtr Attach(I* AIntf) noexcept
  {
    IPtr result;
    result.FIntf = AIntf;
    return result;
  }

  void Reset() noexcept
  {
    if (I* intf = std::exchange(FIntf, nullptr))
      intf->Release();
  }

  I* Get() const noexcept { return FIntf; }
  I* operator->() const noexcept { return FIntf; }
  explicit operator bool() const noexcept { return FIntf != nullptr; }
  bool operator==(const IPtr& AOther) const noexcept { return FIntf == AOther.FIntf; }
  bool operator==(std::nullptr_t) const noexcept { return FIntf == nullptr; }

 private:
  I* FIntf = nullptr;
};

// Whether AObject implements the interface, from its class's interface
// tables. The query counts nothing: an object of a counted class that nobody
// holds yet survives it. Nil answers false.
bool Supports(const TObject* AObject, REFIID AIID);

// As above, and with AOut the interface, counted. The object's own
// QueryInterface answers when it lists IInterface, so classes that pass
// queries on (to an owner or an aggregate) are honoured.
bool Supports(TObject* AObject, REFIID AIID, void** AOut);

template <class I>
bool Supports(const TObject* AObject)
{
  return Supports(AObject, IIDOf<I>());
}

template <class I>
bool Supports(TObject* AObject, IPtr<I>* AOut)
{
  if (!AOut)
    return Supports<I>(AObject);
  void* intf = nullptr;
  const bool result = Supports(AObject, IIDOf<I>(), &intf);
  *AOut = IPtr<I>::Attach(static_cast<I*>(static_cast<IInterface*>(intf)));
  return result;
}

// Queries an interface for another one; nil answers false. AOut becomes nil
// when the query fails, as with an object.
template <class I, class J>
  requires(std::is_base_of_v<IInterface, J> && !std::is_base_of_v<TObject, J>)
bool Supports(J* AIntf, IPtr<I>* AOut = nullptr)
{
  // AOut is replaced only after the query: it may hold the last reference to
  // AIntf (Supports(p, &p)).
  void* intf = nullptr;
  const bool found = AIntf && SUCCEEDED(AIntf->QueryInterface(IIDOf<I>(), &intf)) && intf;
  IPtr<I> result = found ? IPtr<I>::Attach(static_cast<I*>(static_cast<IInterface*>(intf))) : IPtr<I>();
  if (AOut)
    *AOut = std::move(result);
  return found;
}

template <class I, class J>
bool Supports(const IPtr<J>& AIntf, IPtr<I>* AOut = nullptr)
{
  return Supports<I>(AIntf.Get(), AOut);
}

// Implements IInterface with a reference count: freed when the last reference
// goes. The count stays at 1 until AfterConstruction, so an interface taken
// and dropped inside Create does not free the object being made.
class TInterfacedObject : public TObject, public IInterface {
  RTL_CLASS(TInterfacedObject, TObject)
  RTL_INTERFACE_TABLE(IInterface)

 public:
  HRESULT __stdcall QueryInterface(REFIID AIID, void** AObj) override;
  ULONG __stdcall AddRef() override;
  ULONG __stdcall Release() override;

  void AfterConstruction() override;
  // Raises EInvalidPointer when references remain: freeing such an object
  // would leave them pointing at freed memory.
  void BeforeDestruction() override;
  int RefCount() const;

 protected:
  LONG FRefCount = 1;

 private:
  // Set in the count once destruction starts; far from 0 either way.
  static constexpr LONG kDestroying = LONG(0x40000000);
};

// Implements IInterface without counting: AddRef and Release answer -1 and
// whoever created the object frees it.
class TNoRefCountObject : public TObject, public IInterface {
  RTL_CLASS(TNoRefCountObject, TObject)
  RTL_INTERFACE_TABLE(IInterface)

 public:
  HRESULT __stdcall QueryInterface(REFIID AIID, void** AObj) override;
  ULONG __stdcall AddRef() override;
  ULONG __stdcall Release() override;
};

}  // namespace rtl
