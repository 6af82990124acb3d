// Method pointers: the framework's events, an object plus the code to call on
// it, comparable for equality.
//
//   btnGenerate->SetOnClick(TNotifyEvent::Bind<&TfrmMain::btnGenerateClick>(this));
//   if (FOnChange) FOnChange(this);
//
// Code is one thunk per member function, keyed on the member pointer alone:
// binding the same member of the same object gives equal method pointers
// wherever it is done, also through a base or derived class pointer (the
// member pointer &Derived::M of a member M declared in Base is &Base::M).
//
// Data is kept as void*: the address of the object as the class that declares
// the member. The object classes need not be complete here, and for the
// framework's classes (single inheritance from TObject) this is the object's
// address. As in the framework the code and data are only meaningful
// together; Raw/FromRaw carry them for streaming and run-time property access.
//
// One difference from the framework: binding a virtual method through the
// base member (&TBase::M) and through an override (&TDerived::M) gives two
// different codes, where the framework resolves both to the override.
#pragma once

#include <utility>

#include "platform/rtl/Messages.h"

namespace rtl {

class TObject;

struct TMethodRaw {
  void* Code = nullptr;
  void* Data = nullptr;

  bool operator==(const TMethodRaw&) const = default;
};

namespace detail {

template <class M>
struct MemberClass;
template <class C, class R, class... A>
struct MemberClass<R (C::*)(A...)> {
  using Type = C;
};
template <class C, class R, class... A>
struct MemberClass<R (C::*)(A...) const> {
  using Type = const C;
};

// Calling an unassigned method pointer is a fault of the caller; it raises
// EInvalidPointer instead of jumping to address 0.
[[noreturn]] void RaiseUnassignedMethod();

}  // namespace detail

template <class Sig>
class TMethod;

template <class R, class... A>
class TMethod<R(A...)> {
  using Code = R (*)(void*, A...);

 public:
  constexpr TMethod() = default;
  constexpr TMethod(std::nullptr_t) {}

  // The member is called with the event's arguments; a null object gives an
  // unassigned method pointer.
  template <auto AMember>
  static TMethod Bind(typename detail::MemberClass<decltype(AMember)>::Type* AObject)
  {
    if (AObject == nullptr)
      return TMethod();
    return TMethod(&Thunk<AMember>, const_cast<void*>(static_cast<const void*>(AObject)));
  }

  constexpr explicit operator bool() const { return FCode != nullptr; }

  R operator()(A... AArgs) const
  {
    if (FCode == nullptr)
      detail::RaiseUnassignedMethod();
    return FCode(FData, std::forward<A>(AArgs)...);
  }

  // Same object and same code; two unassigned method pointers are equal.
  friend bool operator==(const TMethod&, const TMethod&) = default;

  TMethodRaw Raw() const { return {reinterpret_cast<void*>(FCode), FData}; }
  // The raw record must come from Raw() of a method pointer of this type.
  static TMethod FromRaw(const TMethodRaw& ARaw)
  {
    return TMethod(reinterpret_cast<Code>(ARaw.Code), ARaw.Code ? ARaw.Data : nullptr);
  }

 private:
  TMethod(Code ACode, void* AData) : FCode(ACode), FData(AData) {}

  template <auto AMember>
  static R Thunk(void* AData, A... AArgs)
  {
    using Class = typename detail::MemberClass<decltype(AMember)>::Type;
    return (static_cast<Class*>(AData)->*AMember)(std::forward<A>(AArgs)...);
  }

  Code FCode = nullptr;
  void* FData = nullptr;
};

using TNotifyEvent = TMethod<void(TObject* Sender)>;
using TWndMethod = TMethod<void(TMessage& Message)>;

}  // namespace rtl
