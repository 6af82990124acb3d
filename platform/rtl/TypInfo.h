// Run-time property access: the type information of published properties,
// their lookup by name and reading and writing them without knowing the
// class, plus published methods, which a form reader binds to events by name.
//
// Contents:
//   TTypeKind, TFloatType, TTypeInfo, TypeInfoOf<T>(), RTL_TYPE_NAME
//   TPropInfo, RTL_PUBLISHED, RTL_DECLARED, RTL_PROPERTY, RTL_READONLY_PROPERTY,
//   RTL_PUBLISH, modifiers
//   TMethodEntry, RTL_PUBLISHED_METHODS, RTL_METHOD
//   GetPropInfo, GetPropList, IsPublishedProp, PropType, IsStoredProp
//   Get/Set{Ord,Enum,Set,Float,Str,Int64,Object,Method,Variant}Prop
//   GetPropValue, SetPropValue
//   FindPublishedMethod, MethodAddress, MethodName, BindMethodProp
//
// Declaring, in the class body after RTL_CLASS (the tables are built inside
// function bodies, so they may name members declared further down):
//
//   class TcxButton : public TcxControl {
//     RTL_CLASS(TcxButton, TcxControl)
//     RTL_PUBLISHED(
//       RTL_PROPERTY(Kind, GetKind, SetKind, RTL_DEFAULT(cxbkStandard)),
//       RTL_PROPERTY(Caption, GetCaption, SetCaption, RTL_STORED(IsCaptionStored)),
//       RTL_PROPERTY(Tag, FTag, FTag),                          // fields work too
//       RTL_PROPERTY(Left, GetCoord, SetCoord, RTL_INDEX(0)),   // GetCoord(int)
//       RTL_READONLY_PROPERTY(Font, GetFont),
//       RTL_PROPERTY(OnClick, GetOnClick, SetOnClick))
//     RTL_PUBLISHED_METHODS(RTL_METHOD(FormCreate), RTL_METHOD(btnGenerateClick))
//    public:
//     ...
//
// The property's type is the getter's result type (or the field's); the
// setter must take the same type (by value or const reference). Modifiers:
// RTL_DEFAULT(v) (ordinal and set properties; without it a property has no
// default, the framework's "nodefault"), RTL_NOT_STORED ("stored False"),
// RTL_STORED(member) (a bool member function decides), RTL_INDEX(n) (the
// getter and setter take the index first), RTL_DATETIME (a double property
// that holds a TDateTime, which C++ cannot tell from a double), RTL_PROPTYPE(r)
// (an integer property of a named integer type such as TColor, whose values
// the filer writes and reads as identifiers).
//
// Choosing per class: published properties are inherited and cannot be
// withdrawn, so a base class publishes only what every descendant shows and
// declares the rest with RTL_DECLARED (same entries as RTL_PUBLISHED, but
// unpublished). Each concrete class then publishes its choice by name:
//
//   class TCustomEdit : public TWinControl {
//     RTL_CLASS(TCustomEdit, TWinControl)
//     RTL_DECLARED(RTL_PROPERTY(MaxLength, GetMaxLength, SetMaxLength, RTL_DEFAULT(0)))
//     ...
//   class TEdit : public TCustomEdit {
//     RTL_CLASS(TEdit, TCustomEdit)
//     RTL_PUBLISHED(RTL_PUBLISH(Align), RTL_PUBLISH(MaxLength), RTL_PUBLISH(Text))
//
// RTL_PUBLISH finds the name while compiling, in the nearest ancestor that
// declares or publishes it, and takes its accessors and rules; modifiers
// after the name change them for this class.
//
// Order: GetPropList lists the properties base class first and each class's
// own in the order they are declared; a property a descendant publishes again
// (to change its default, say) keeps its ancestor's place and uses the
// descendant's declaration. Form writing and the property storage rely on
// this order.
#pragma once

#include <array>
#include <climits>
#include <cstdint>
#include <functional>
#include <limits>
#include <span>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/rtl/System.h"
#include "platform/rtl/SystemEvents.h"

namespace rtl {

// Only named here; a class that publishes a Variant includes Variants.h.
class Variant;

RTL_DECLARE_EXCEPTION(EPropertyError, Exception);
RTL_DECLARE_EXCEPTION(EPropertyConvertError, Exception);

// The framework's numbering; the kinds C++ types never take are kept so that
// the numbers stay the framework's.
RTL_ENUM(TTypeKind, tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, tkClass, tkMethod,
         tkWChar, tkLString, tkWString, tkVariant, tkArray, tkRecord, tkInterface, tkInt64, tkDynArray, tkUString,
         tkClassRef, tkPointer, tkProcedure);
using TTypeKinds = TSet<TTypeKind>;

RTL_ENUM(TFloatType, ftSingle, ftDouble, ftExtended, ftComp, ftCurr);

// The framework's kind filters: tkProperties is every kind but events.
inline constexpr TTypeKinds tkAny = TTypeKinds::FromOrd(0xFFFFFFFFu);
inline constexpr TTypeKinds tkMethods{TTypeKind::tkMethod};
inline constexpr TTypeKinds tkProperties = tkAny - tkMethods - TTypeKinds{TTypeKind::tkUnknown};

// The type of a published property. One constant record per C++ type,
// compared by address: two properties have the same type when their records
// are the same.
struct TTypeInfo {
  TTypeKind Kind = TTypeKind::tkUnknown;
  // The type's name ("Integer", "Boolean", "TAlign", "TDateTime"); empty for
  // a set or event type that was given none with RTL_TYPE_NAME. Class types
  // answer through TypeName(), as the class may be incomplete where the
  // record is made.
  std::wstring_view Name;
  // Ordinal types: the range of values.
  std::int64_t MinValue = 0;
  std::int64_t MaxValue = 0;
  // Enumerations (Boolean included): the names of the values.
  const TEnumInfo* EnumInfo = nullptr;
  // Sets: the element type.
  const TTypeInfo* CompType = nullptr;
  TFloatType FloatType = TFloatType::ftDouble;
  // Classes: the class the property's objects must be or descend from.
  TClass (*ClassTypeFn)() = nullptr;
  // Integer types whose values have names (colours, cursors): the filer
  // writes a value that has a name as its identifier and reads identifiers
  // back through these, as the framework's RegisterIntegerConsts does. A
  // property gets such a type with RTL_PROPTYPE.
  bool (*IdentToInt)(const String& AIdent, int& AValue) = nullptr;
  bool (*IntToIdent)(int AValue, String& AIdent) = nullptr;

  TClass ClassType() const { return ClassTypeFn ? ClassTypeFn() : nullptr; }
  String TypeName() const;
};

// ---------------------------------------------------------------------------
// Type information of C++ types.

// Names a set or event type for its type information:
//   RTL_TYPE_NAME(TNotifyEvent)
// Write it at namespace scope in the namespace of the set's element type, or
// for an event in rtl or the namespace of one of its parameter types (lookup
// finds it through those namespaces).
template <class T>
struct TTypeTag {};

#define RTL_TYPE_NAME(AType) \
  constexpr std::wstring_view RtlTypeName(::rtl::TTypeTag<AType>) { return L## #AType; }

RTL_TYPE_NAME(TNotifyEvent)

// The framework's TypeInfo(T); defined below.
template <class T>
constexpr const TTypeInfo* TypeInfoOf();

namespace detail {

inline constexpr std::wstring_view BooleanNames[] = {L"False", L"True"};
inline constexpr TEnumInfo BooleanInfo{L"Boolean", BooleanNames};

template <class T>
constexpr std::wstring_view TypeNameOf()
{
  if constexpr (requires { RtlTypeName(TTypeTag<T>{}); })
    return RtlTypeName(TTypeTag<T>{});
  else
    return {};
}

template <class T>
TClass StaticClassOf()
{
  static_assert(IsDeclaredClass<T>, "a class property holds a class declared with RTL_CLASS");
  return T::StaticClass();
}

template <class T>
struct IsTSet : std::false_type {};
template <class E, int L, int H>
struct IsTSet<TSet<E, L, H>> : std::true_type {};

template <class T>
struct IsTMethod : std::false_type {};
template <class Sig>
struct IsTMethod<TMethod<Sig>> : std::true_type {};

template <class T>
consteval TTypeInfo IntegerInfo(std::wstring_view AName, TTypeKind AKind = TTypeKind::tkInteger)
{
  return TTypeInfo{.Kind = AKind,
                   .Name = AName,
                   .MinValue = std::numeric_limits<T>::min(),
                   .MaxValue = static_cast<std::int64_t>(std::numeric_limits<T>::max())};
}

template <class T>
consteval TTypeInfo MakeTypeInfo()
{
  if constexpr (std::is_same_v<T, bool>) {
    return {.Kind = TTypeKind::tkEnumeration,
            .Name = L"Boolean",
            .MinValue = 0,
            .MaxValue = 1,
            .EnumInfo = &BooleanInfo};
  } else if constexpr (std::is_same_v<T, wchar_t>) {
    return IntegerInfo<wchar_t>(L"Char", TTypeKind::tkWChar);
  } else if constexpr (std::is_same_v<T, char>) {
    return TTypeInfo{.Kind = TTypeKind::tkChar, .Name = L"AnsiChar", .MinValue = 0, .MaxValue = 255};
  } else if constexpr (std::is_same_v<T, int> || std::is_same_v<T, long>) {
    return IntegerInfo<T>(L"Integer");
  } else if constexpr (std::is_same_v<T, unsigned> || std::is_same_v<T, unsigned long>) {
    return IntegerInfo<T>(L"Cardinal");
  } else if constexpr (std::is_same_v<T, short>) {
    return IntegerInfo<T>(L"SmallInt");
  } else if constexpr (std::is_same_v<T, unsigned short>) {
    return IntegerInfo<T>(L"Word");
  } else if constexpr (std::is_same_v<T, signed char>) {
    return IntegerInfo<T>(L"ShortInt");
  } else if constexpr (std::is_same_v<T, unsigned char>) {
    return IntegerInfo<T>(L"Byte");
  } else if constexpr (std::is_same_v<T, long long>) {
    return IntegerInfo<T>(L"Int64", TTypeKind::tkInt64);
  } else if constexpr (std::is_same_v<T, float>) {
    return {.Kind = TTypeKind::tkFloat, .Name = L"Single", .FloatType = TFloatType::ftSingle};
  } else if constexpr (std::is_same_v<T, double>) {
    return {.Kind = TTypeKind::tkFloat, .Name = L"Double", .FloatType = TFloatType::ftDouble};
  } else if constexpr (std::is_same_v<T, long double>) {
    return {.Kind = TTypeKind::tkFloat, .Name = L"Extended", .FloatType = TFloatType::ftExtended};
  } else if constexpr (std::is_same_v<T, Currency>) {
    return {.Kind = TTypeKind::tkFloat, .Name = L"Currency", .FloatType = TFloatType::ftCurr};
  } else if constexpr (std::is_same_v<T, String>) {
    return {.Kind = TTypeKind::tkUString, .Name = L"string"};
  } else if constexpr (std::is_same_v<T, AnsiString>) {
    return {.Kind = TTypeKind::tkLString, .Name = L"AnsiString"};
  } else if constexpr (std::is_same_v<T, Variant>) {
    return {.Kind = TTypeKind::tkVariant, .Name = L"Variant"};
  } else if constexpr (NamedEnum<T>) {
    constexpr const TEnumInfo* info = RtlEnumInfo(T{});
    return {.Kind = TTypeKind::tkEnumeration,
            .Name = info->Name,
            .MinValue = 0,
            .MaxValue = info->High(),
            .EnumInfo = info};
  } else if constexpr (IsTSet<T>::value) {
    static_assert(NamedEnum<typename T::Element> && T::StoredSize != 0,
                  "a published set is a set of up to 32 values of a named enumeration, from its first");
    return {.Kind = TTypeKind::tkSet, .Name = TypeNameOf<T>(), .CompType = TypeInfoOf<typename T::Element>()};
  } else if constexpr (IsTMethod<T>::value) {
    return {.Kind = TTypeKind::tkMethod, .Name = TypeNameOf<T>()};
  } else if constexpr (std::is_pointer_v<T>) {
    return {.Kind = TTypeKind::tkClass,
            .Name = {},
            .ClassTypeFn = &StaticClassOf<std::remove_cv_t<std::remove_pointer_t<T>>>};
  } else {
    static_assert(sizeof(T*) == 0, "this type cannot be published");
  }
}

}  // namespace detail

namespace detail {

template <class T>
inline constexpr TTypeInfo TypeInfoRecord = MakeTypeInfo<T>();

}  // namespace detail

template <class T>
constexpr const TTypeInfo* TypeInfoOf()
{
  return &detail::TypeInfoRecord<std::remove_cv_t<T>>;
}

// The type of a double property that holds a date and time.
inline constexpr TTypeInfo TypeInfoDateTime{.Kind = TTypeKind::tkFloat,
                                            .Name = L"TDateTime",
                                            .FloatType = TFloatType::ftDouble};

// The names of an enumeration's values (Boolean: False, True); empty or -1
// for a type that is no enumeration, as for values and names outside it.
String GetEnumName(const TTypeInfo* AType, int AValue);
int GetEnumValue(const TTypeInfo* AType, std::wstring_view AName);

// ---------------------------------------------------------------------------
// Published properties

// The framework's "nodefault": an ordinal property without a default value.
inline constexpr int NoDefault = INT_MIN;
// The index of a property without an index specifier.
inline constexpr int NoIndex = INT_MIN;

// Reads and writes the property through its getter and setter, passing the
// value as the carrier type of its kind: int64_t for ordinals and sets (the
// set's ToOrd), Extended for floats, String for texts, TObject* for objects,
// TMethodRaw for events, Variant for variants.
using TPropGetter = void (*)(TObject* AInstance, int AIndex, void* AValue);
using TPropSetter = void (*)(TObject* AInstance, int AIndex, const void* AValue);

struct TPropInfo {
  std::wstring_view Name;
  const TTypeInfo* PropType = nullptr;
  TPropGetter Get = nullptr;
  // Null for a read-only property.
  TPropSetter Set = nullptr;
  int Index = NoIndex;
  // The ordinal default (a set's ToOrd), or NoDefault.
  int Default = NoDefault;
  // Whether the property is stored: StoredProc decides when set, else
  // StoredConst.
  bool StoredConst = true;
  bool (*StoredProc)(TObject* AInstance) = nullptr;
};

namespace detail {

// The modifiers of RTL_PROPERTY.
struct TPropDefault {
  int Value;
  consteval void Apply(TPropInfo& AInfo) const
  {
    using enum TTypeKind;
    const TTypeKind kind = AInfo.PropType->Kind;
    if (kind != tkInteger && kind != tkChar && kind != tkWChar && kind != tkEnumeration && kind != tkSet)
      throw "only ordinal and set properties have a default value";
    AInfo.Default = Value;
  }
};

struct TPropIndex {
  int Value;
  consteval void Apply(TPropInfo& AInfo) const { AInfo.Index = Value; }
};

struct TPropStored {
  bool Value;
  bool (*Proc)(TObject*);
  consteval void Apply(TPropInfo& AInfo) const
  {
    AInfo.StoredConst = Value;
    AInfo.StoredProc = Proc;
  }
};

struct TPropDateTime {
  consteval void Apply(TPropInfo& AInfo) const
  {
    if (AInfo.PropType != TypeInfoOf<double>())
      throw "RTL_DATETIME is for double properties";
    AInfo.PropType = &TypeInfoDateTime;
  }
};

// Gives a property a type record of its own (TColor, TCursor) in place of
// that of its C++ type, which it shares with every other int; the carrier
// must stay the same.
struct TPropTypeOverride {
  const TTypeInfo* Type;
  consteval void Apply(TPropInfo& AInfo) const
  {
    if (Type->Kind != AInfo.PropType->Kind)
      throw "RTL_PROPTYPE keeps the kind of the property's C++ type";
    AInfo.PropType = Type;
  }
};

template <class C, auto AStored>
bool StoredThunk(TObject* AInstance)
{
  return std::invoke(AStored, static_cast<C*>(AInstance));
}

template <class T>
consteval TPropDefault DefaultOf(T AValue)
{
  if constexpr (IsTSet<T>::value)
    return {static_cast<int>(AValue.ToOrd())};
  else
    return {static_cast<int>(AValue)};
}

}  // namespace detail

#define RTL_DEFAULT(...) ::rtl::detail::DefaultOf(__VA_ARGS__)
#define RTL_INDEX(AIndex) ::rtl::detail::TPropIndex{AIndex}
#define RTL_NOT_STORED ::rtl::detail::TPropStored{false, nullptr}
#define RTL_STORED(AMember) ::rtl::detail::TPropStored{true, &::rtl::detail::StoredThunk<RtlSelf, &RtlSelf::AMember>}
#define RTL_DATETIME ::rtl::detail::TPropDateTime{}
#define RTL_PROPTYPE(AType) ::rtl::detail::TPropTypeOverride{&(AType)}

namespace detail {

// What a property's C++ value type travels as through TPropGetter and
// TPropSetter.
template <TTypeKind K>
struct KindCarrier {
  using Type = std::int64_t;
};
template <>
struct KindCarrier<TTypeKind::tkFloat> {
  using Type = Extended;
};
template <>
struct KindCarrier<TTypeKind::tkUString> {
  using Type = String;
};
template <>
struct KindCarrier<TTypeKind::tkLString> {
  using Type = String;
};
template <>
struct KindCarrier<TTypeKind::tkClass> {
  using Type = TObject*;
};
template <>
struct KindCarrier<TTypeKind::tkMethod> {
  using Type = TMethodRaw;
};
template <>
struct KindCarrier<TTypeKind::tkVariant> {
  using Type = Variant;
};

template <class T>
struct PropCarrier {
  static constexpr TTypeKind Kind = TypeInfoOf<T>()->Kind;
  using Type = typename KindCarrier<Kind>::Type;

  static Type To(const T& AValue)
  {
    if constexpr (Kind == TTypeKind::tkSet)
      return AValue.ToOrd();
    else if constexpr (std::is_same_v<T, Currency>)
      return static_cast<Extended>(AValue.Raw()) / 10000;
    else if constexpr (Kind == TTypeKind::tkMethod)
      return AValue.Raw();
    else if constexpr (std::is_same_v<T, AnsiString>)
      return AValue.ToString();
    else
      return static_cast<Type>(AValue);
  }

  static T From(const Type& AValue)
  {
    if constexpr (Kind == TTypeKind::tkSet)
      return T::FromOrd(static_cast<std::uint32_t>(AValue));
    else if constexpr (std::is_same_v<T, Currency>)
      return Currency::FromRaw(Round(AValue * 10000));
    else if constexpr (Kind == TTypeKind::tkMethod)
      return T::FromRaw(AValue);
    else if constexpr (std::is_same_v<T, AnsiString>)
      return AnsiString::FromString(AValue);
    else
      return static_cast<T>(AValue);
  }
};

template <class C, auto AGetter>
consteval bool TakesIndex()
{
  if constexpr (std::is_member_object_pointer_v<decltype(AGetter)>)
    return false;
  else
    return std::is_invocable_v<decltype(AGetter), C&, int>;
}

template <class C, auto AGetter, bool = TakesIndex<C, AGetter>()>
struct PropValue {
  using Type = std::remove_cvref_t<std::invoke_result_t<decltype(AGetter), C&>>;
};
template <class C, auto AGetter>
struct PropValue<C, AGetter, true> {
  using Type = std::remove_cvref_t<std::invoke_result_t<decltype(AGetter), C&, int>>;
};

template <class C, auto AGetter>
using PropValueType = typename PropValue<C, AGetter>::Type;

template <class C, auto AGetter>
void GetThunk(TObject* AInstance, int AIndex, void* AValue)
{
  using T = PropValueType<C, AGetter>;
  using Carrier = PropCarrier<T>;
  C* self = static_cast<C*>(AInstance);
  if constexpr (TakesIndex<C, AGetter>())
    *static_cast<typename Carrier::Type*>(AValue) = Carrier::To(std::invoke(AGetter, *self, AIndex));
  else
    *static_cast<typename Carrier::Type*>(AValue) = Carrier::To(std::invoke(AGetter, *self));
  (void)AIndex;
}

template <class C, auto AGetter, auto ASetter>
void SetThunk(TObject* AInstance, int AIndex, const void* AValue)
{
  using T = PropValueType<C, AGetter>;
  using Carrier = PropCarrier<T>;
  C* self = static_cast<C*>(AInstance);
  T value = Carrier::From(*static_cast<const typename Carrier::Type*>(AValue));
  if constexpr (std::is_member_object_pointer_v<decltype(ASetter)>) {
    static_assert(std::is_same_v<std::remove_cvref_t<decltype(self->*ASetter)>, T>,
                  "the field a property writes has the property's type");
    self->*ASetter = std::move(value);
  } else if constexpr (TakesIndex<C, AGetter>()) {
    static_assert(std::is_invocable_v<decltype(ASetter), C&, int, const T&>, "the setter takes the index first");
    std::invoke(ASetter, *self, AIndex, std::move(value));
  } else {
    static_assert(std::is_invocable_v<decltype(ASetter), C&, T&&>, "the setter takes the getter's type");
    std::invoke(ASetter, *self, std::move(value));
  }
  (void)AIndex;
}

template <class C, auto AGetter, auto ASetter, class... M>
consteval TPropInfo MakeProp(std::wstring_view AName, M... AModifiers)
{
  TPropInfo info;
  info.Name = AName;
  info.PropType = TypeInfoOf<PropValueType<C, AGetter>>();
  info.Get = &GetThunk<C, AGetter>;
  if constexpr (!std::is_null_pointer_v<decltype(ASetter)>)
    info.Set = &SetThunk<C, AGetter, ASetter>;
  (AModifiers.Apply(info), ...);
  if (TakesIndex<C, AGetter>() != (info.Index != NoIndex))
    throw "a getter that takes an index needs RTL_INDEX(n), and only such a getter";
  return info;
}

}  // namespace detail

#define RTL_PROPERTY(AName, AGetter, ASetter, ...)                                          \
  ::rtl::detail::MakeProp<RtlSelf, &RtlSelf::AGetter, &RtlSelf::ASetter>(L## #AName __VA_OPT__(, ) \
                                                                             __VA_ARGS__)

#define RTL_READONLY_PROPERTY(AName, AGetter, ...) \
  ::rtl::detail::MakeProp<RtlSelf, &RtlSelf::AGetter, nullptr>(L## #AName __VA_OPT__(, ) __VA_ARGS__)

namespace detail {

// A property a class publishes that an ancestor declared (RTL_DECLARED) or
// published: found while compiling by name, then changed by the modifiers.
template <class... M>
struct TPropReference {
  std::wstring_view Name;
  std::tuple<M...> Modifiers;
};

template <class... M>
consteval TPropReference<M...> PropReference(std::wstring_view AName, M... AModifiers)
{
  return {AName, {AModifiers...}};
}

consteval const TPropInfo* FindPropIn(std::span<const TPropInfo> ATable, std::wstring_view AName)
{
  for (const TPropInfo& prop : ATable)
    if (prop.Name == AName)
      return &prop;
  return nullptr;
}

// The nearest ancestor's record of the name: from C up, each class's own
// published and declared tables.
template <class C>
consteval TPropInfo InheritedProp(std::wstring_view AName)
{
  if constexpr (requires { typename C::RtlPropertiesOwner; }) {
    if constexpr (std::is_same_v<C, typename C::RtlPropertiesOwner>)
      if (const TPropInfo* prop = FindPropIn(C::RtlPublishedTable(), AName))
        return *prop;
  }
  if constexpr (requires { typename C::RtlDeclaredOwner; }) {
    if constexpr (std::is_same_v<C, typename C::RtlDeclaredOwner>)
      if (const TPropInfo* prop = FindPropIn(C::RtlDeclaredTable(), AName))
        return *prop;
  }
  if constexpr (requires { typename C::inherited; })
    return InheritedProp<typename C::inherited>(AName);
  else
    throw "no ancestor declares or publishes a property of this name";
}

template <class... M, std::size_t... I>
consteval void ApplyModifiers(TPropInfo& AInfo, const std::tuple<M...>& AModifiers, std::index_sequence<I...>)
{
  (std::get<I>(AModifiers).Apply(AInfo), ...);
}

// The entries of RTL_PUBLISHED: a property's record as it is, or one an
// ancestor declared.
template <class C>
consteval TPropInfo PublishedEntry(const TPropInfo& AInfo)
{
  return AInfo;
}

template <class C, class... M>
consteval TPropInfo PublishedEntry(const TPropReference<M...>& AReference)
{
  TPropInfo info = InheritedProp<typename C::inherited>(AReference.Name);
  ApplyModifiers(info, AReference.Modifiers, std::index_sequence_for<M...>());
  return info;
}

template <class C, class... E>
consteval auto PublishedTable(const E&... AEntries)
{
  return std::array<TPropInfo, sizeof...(E)>{PublishedEntry<C>(AEntries)...};
}

}  // namespace detail

// Publishes a property an ancestor declared with RTL_DECLARED (or published),
// under its name and with its accessors and rules; modifiers given here
// change them for this class (a new default, say).
#define RTL_PUBLISH(AName, ...) ::rtl::detail::PropReference(L## #AName __VA_OPT__(, ) __VA_ARGS__)

// The properties the class publishes itself, in order: its own RTL_PROPERTY
// records and ancestors' properties named with RTL_PUBLISH. Those its
// ancestors published stay published.
#define RTL_PUBLISHED(...)                                                  \
 public:                                                                    \
  using RtlPropertiesOwner = RtlSelf;                                       \
  static consteval auto RtlPublishedTable()                                 \
  {                                                                         \
    return ::rtl::detail::PublishedTable<RtlSelf>(__VA_ARGS__);             \
  }                                                                         \
  static std::span<const ::rtl::TPropInfo> RtlProperties() noexcept         \
  {                                                                         \
    static constexpr auto table = RtlPublishedTable();                      \
    return table;                                                           \
  }                                                                         \
                                                                            \
 private:

// The properties a class declares without publishing them, for descendants
// to publish by name with RTL_PUBLISH: the framework's protected
// properties, which a base class offers and each concrete class publishes
// as it chooses. They are not part of the class's published list.
#define RTL_DECLARED(...)                                                   \
 public:                                                                    \
  using RtlDeclaredOwner = RtlSelf;                                         \
  static consteval auto RtlDeclaredTable()                                  \
  {                                                                         \
    return std::to_array<::rtl::TPropInfo>({__VA_ARGS__});                 \
  }                                                                         \
                                                                            \
 private:

// ---------------------------------------------------------------------------
// Published methods

// One published method: what a method pointer bound to it holds.
struct TMethodEntry {
  std::wstring_view Name;
  // The event type the method fits: the TMethod of its signature.
  const TTypeInfo* EventType = nullptr;
  // The code of TMethod<Sig>::Bind<&C::Method>, the same code binding the
  // method in C++ gives, so both kinds of binding compare equal.
  void* (*Code)() = nullptr;
  // The object as the method's class, the method pointer's data.
  void* (*Data)(TObject* AInstance) = nullptr;
};

namespace detail {

template <class M>
struct PublishedMethodTraits;
template <class C, class R, class... A>
struct PublishedMethodTraits<R (C::*)(A...)> {
  using Class = C;
  using Event = TMethod<R(A...)>;
};

template <class C, auto AMethod>
void* PublishedCode()
{
  using Traits = PublishedMethodTraits<decltype(AMethod)>;
  // Bind only keeps the address; no object of the class is needed to learn
  // the code.
  alignas(typename Traits::Class) static unsigned char place[1];
  return Traits::Event::template Bind<AMethod>(reinterpret_cast<typename Traits::Class*>(place)).Raw().Code;
}

template <class C, auto AMethod>
void* PublishedData(TObject* AInstance)
{
  using Declaring = typename PublishedMethodTraits<decltype(AMethod)>::Class;
  return static_cast<Declaring*>(static_cast<C*>(AInstance));
}

template <class C, auto AMethod>
consteval TMethodEntry MakeMethod(std::wstring_view AName)
{
  using Traits = PublishedMethodTraits<decltype(AMethod)>;
  return {AName, TypeInfoOf<typename Traits::Event>(), &PublishedCode<C, AMethod>, &PublishedData<C, AMethod>};
}

}  // namespace detail

#define RTL_METHOD(AMethod) ::rtl::detail::MakeMethod<RtlSelf, &RtlSelf::AMethod>(L## #AMethod)

#define RTL_PUBLISHED_METHODS(...)                                          \
 public:                                                                    \
  using RtlPublishedMethodsOwner = RtlSelf;                                 \
  static std::span<const ::rtl::TMethodEntry> RtlPublishedMethods() noexcept \
  {                                                                         \
    static constexpr ::rtl::TMethodEntry table[] = {__VA_ARGS__};           \
    return table;                                                           \
  }                                                                         \
                                                                            \
 private:

// ---------------------------------------------------------------------------
// Lookup. Names compare ignoring the case of ASCII letters; a descendant's
// declaration of a name hides its ancestors'.

// Nil when the class publishes no property of that name.
const TPropInfo* GetPropInfo(TClass AClass, std::wstring_view AName);
const TPropInfo* GetPropInfo(const TObject* AInstance, std::wstring_view AName);
// The published properties whose kind is in AKinds, in the order described
// at the top of this file.
std::vector<const TPropInfo*> GetPropList(TClass AClass, TTypeKinds AKinds = tkAny);
std::vector<const TPropInfo*> GetPropList(const TObject* AInstance, TTypeKinds AKinds = tkAny);
bool IsPublishedProp(TClass AClass, std::wstring_view AName);
bool IsPublishedProp(const TObject* AInstance, std::wstring_view AName);
// The kind of the named property; EPropertyError when there is none.
TTypeKind PropType(TClass AClass, std::wstring_view AName);
TTypeKind PropType(const TObject* AInstance, std::wstring_view AName);
// Whether the property is stored: its stored rule for this object.
bool IsStoredProp(TObject* AInstance, const TPropInfo* AProp);

// ---------------------------------------------------------------------------
// Accessors. Each takes the property's record or its name; an unknown name
// raises EPropertyError ("Property %s does not exist"), a property of a kind
// the accessor does not handle raises EPropertyConvertError ("Invalid
// property type: %s"), and writing a read-only property raises EPropertyError
// ("Property is read-only"). Ordinal writes outside the type's range raise
// EPropertyConvertError ("Invalid property value"), where the framework would
// store a truncated or impossible value.

// Integers, characters, enumerations (Boolean: 0, 1) and sets (ToOrd).
std::int64_t GetOrdProp(TObject* AInstance, const TPropInfo* AProp);
std::int64_t GetOrdProp(TObject* AInstance, std::wstring_view AName);
void SetOrdProp(TObject* AInstance, const TPropInfo* AProp, std::int64_t AValue);
void SetOrdProp(TObject* AInstance, std::wstring_view AName, std::int64_t AValue);

// Enumerations by identifier; an unknown identifier raises
// EPropertyConvertError ("Invalid property element: %s").
String GetEnumProp(TObject* AInstance, const TPropInfo* AProp);
String GetEnumProp(TObject* AInstance, std::wstring_view AName);
void SetEnumProp(TObject* AInstance, const TPropInfo* AProp, std::wstring_view AValue);
void SetEnumProp(TObject* AInstance, std::wstring_view AName, std::wstring_view AValue);

// Sets as text: "a,b", or "[a,b]" with ABrackets, as SetToString writes and
// StringToSet reads (its errors become EPropertyConvertError).
String GetSetProp(TObject* AInstance, const TPropInfo* AProp, bool ABrackets = false);
String GetSetProp(TObject* AInstance, std::wstring_view AName, bool ABrackets = false);
void SetSetProp(TObject* AInstance, const TPropInfo* AProp, std::wstring_view AValue);
void SetSetProp(TObject* AInstance, std::wstring_view AName, std::wstring_view AValue);

// Single, Double, Extended, Currency and TDateTime.
Extended GetFloatProp(TObject* AInstance, const TPropInfo* AProp);
Extended GetFloatProp(TObject* AInstance, std::wstring_view AName);
void SetFloatProp(TObject* AInstance, const TPropInfo* AProp, Extended AValue);
void SetFloatProp(TObject* AInstance, std::wstring_view AName, Extended AValue);

// String and AnsiString (converted through the system code page).
String GetStrProp(TObject* AInstance, const TPropInfo* AProp);
String GetStrProp(TObject* AInstance, std::wstring_view AName);
void SetStrProp(TObject* AInstance, const TPropInfo* AProp, const String& AValue);
void SetStrProp(TObject* AInstance, std::wstring_view AName, const String& AValue);

// Int64 properties, and ordinal ones widened.
std::int64_t GetInt64Prop(TObject* AInstance, const TPropInfo* AProp);
std::int64_t GetInt64Prop(TObject* AInstance, std::wstring_view AName);
void SetInt64Prop(TObject* AInstance, const TPropInfo* AProp, std::int64_t AValue);
void SetInt64Prop(TObject* AInstance, std::wstring_view AName, std::int64_t AValue);

// The object, or nil when it is not of AMinClass (when given).
TObject* GetObjectProp(TObject* AInstance, const TPropInfo* AProp, TClass AMinClass = nullptr);
TObject* GetObjectProp(TObject* AInstance, std::wstring_view AName, TClass AMinClass = nullptr);
// Nil or an object of the property's class; any other raises EInvalidCast,
// where the framework silently leaves the property as it was.
void SetObjectProp(TObject* AInstance, const TPropInfo* AProp, TObject* AValue);
void SetObjectProp(TObject* AInstance, std::wstring_view AName, TObject* AValue);
TClass GetObjectPropClass(const TPropInfo* AProp);

// The raw record must come from a method pointer of the property's type (see
// TMethod::FromRaw); BindMethodProp checks that for published methods.
TMethodRaw GetMethodProp(TObject* AInstance, const TPropInfo* AProp);
TMethodRaw GetMethodProp(TObject* AInstance, std::wstring_view AName);
void SetMethodProp(TObject* AInstance, const TPropInfo* AProp, const TMethodRaw& AValue);
void SetMethodProp(TObject* AInstance, std::wstring_view AName, const TMethodRaw& AValue);

Variant GetVariantProp(TObject* AInstance, const TPropInfo* AProp);
Variant GetVariantProp(TObject* AInstance, std::wstring_view AName);
void SetVariantProp(TObject* AInstance, const TPropInfo* AProp, const Variant& AValue);
void SetVariantProp(TObject* AInstance, std::wstring_view AName, const Variant& AValue);

// Any property but objects and events through a variant: integers as Integer
// (Cardinal as LongWord), characters as their code, Booleans as Boolean,
// other enumerations and sets as text when APreferStrings (sets without
// brackets) else as ordinals, floats as Double (TDateTime as a date,
// Currency as currency), texts as strings, Int64 as Int64.
Variant GetPropValue(TObject* AInstance, const TPropInfo* AProp, bool APreferStrings = true);
Variant GetPropValue(TObject* AInstance, std::wstring_view AName, bool APreferStrings = true);
// The reverse: enumerations and sets also take their text, characters also a
// one-character string; texts take VarToStr of the value. Variant conversion
// failures raise EVariantError.
void SetPropValue(TObject* AInstance, const TPropInfo* AProp, const Variant& AValue);
void SetPropValue(TObject* AInstance, std::wstring_view AName, const Variant& AValue);

// ---------------------------------------------------------------------------
// Published methods by name, searching the class and then its ancestors.

const TMethodEntry* FindPublishedMethod(TClass AClass, std::wstring_view AName);
// The code of the published method, nil when there is none.
void* MethodAddress(TClass AClass, std::wstring_view AName);
// The name of the published method with that code; empty when none has it.
String MethodName(TClass AClass, void* ACode);
// Assigns ARoot's published method AMethodName to the event property, as a
// form reader binds "OnClick = btnGenerateClick". An unknown method raises
// EPropertyError ("Method %s not found"), a method whose signature is not the
// event's raises EPropertyConvertError ("Invalid property value").
void BindMethodProp(TObject* AInstance, const TPropInfo* AProp, TObject* ARoot, std::wstring_view AMethodName);

}  // namespace rtl
