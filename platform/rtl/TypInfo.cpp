#include "platform/rtl/TypInfo.h"

#include <algorithm>
#include <string>

#include "platform/rtl/Variants.h"

using enum rtl::TFloatType;
using enum rtl::TTypeKind;

namespace rtl {

namespace {

wchar_t UpperAscii(wchar_t C)
{
  return C >= L'a' && C <= L'z' ? static_cast<wchar_t>(C - (L'a' - L'A')) : C;
}

// Identifiers compare as the framework compares them: ignoring the case of
// ASCII letters only.
bool SameName(std::wstring_view A, std::wstring_view B)
{
  return A.size() == B.size() &&
         std::equal(A.begin(), A.end(), B.begin(), [](wchar_t x, wchar_t y) { return UpperAscii(x) == UpperAscii(y); });
}

std::span<const TPropInfo> OwnProps(TClass AClass)
{
  return AClass->Properties ? AClass->Properties() : std::span<const TPropInfo>();
}

std::span<const TMethodEntry> OwnMethods(TClass AClass)
{
  return AClass->PublishedMethods ? AClass->PublishedMethods() : std::span<const TMethodEntry>();
}

[[noreturn]] void UnknownProperty(std::wstring_view AName)
{
  throw EPropertyError(L"Property " + String(AName) + L" does not exist");
}

[[noreturn]] void InvalidPropertyType(const TPropInfo* AProp)
{
  throw EPropertyConvertError(L"Invalid property type: " + AProp->PropType->TypeName());
}

[[noreturn]] void InvalidPropertyValue()
{
  throw EPropertyConvertError(L"Invalid property value");
}

const TPropInfo* FindProp(TObject* AInstance, std::wstring_view AName)
{
  const TPropInfo* prop = GetPropInfo(AInstance, AName);
  if (!prop)
    UnknownProperty(AName);
  return prop;
}

bool IsOrdinalKind(TTypeKind AKind)
{
  return AKind == tkInteger || AKind == tkChar || AKind == tkWChar || AKind == tkEnumeration || AKind == tkSet;
}

bool IsStringKind(TTypeKind AKind)
{
  return AKind == tkString || AKind == tkLString || AKind == tkWString || AKind == tkUString;
}

// Checks the kind before the thunk reads into the carrier of that kind.
void CheckKind(const TPropInfo* AProp, bool AOk)
{
  if (!AOk)
    InvalidPropertyType(AProp);
}

template <class T>
T Read(TObject* AInstance, const TPropInfo* AProp)
{
  T value{};
  AProp->Get(AInstance, AProp->Index, &value);
  return value;
}

template <class T>
void Write(TObject* AInstance, const TPropInfo* AProp, const T& AValue)
{
  if (!AProp->Set)
    throw EPropertyError(L"Property is read-only");
  AProp->Set(AInstance, AProp->Index, &AValue);
}

bool IsBoolean(const TTypeInfo* AType)
{
  return AType == TypeInfoOf<bool>();
}

bool IsCurrency(const TTypeInfo* AType)
{
  return AType->Kind == tkFloat && AType->FloatType == ftCurr;
}

}  // namespace

String TTypeInfo::TypeName() const
{
  if (Kind == tkClass)
    return ClassType()->ClassName();
  return String(Name);
}

String GetEnumName(const TTypeInfo* AType, int AValue)
{
  return AType && AType->EnumInfo ? GetEnumName(AType->EnumInfo, AValue) : String();
}

int GetEnumValue(const TTypeInfo* AType, std::wstring_view AName)
{
  return AType && AType->EnumInfo ? GetEnumValue(AType->EnumInfo, AName) : -1;
}

// ---------------------------------------------------------------------------
// Lookup

const TPropInfo* GetPropInfo(TClass AClass, std::wstring_view AName)
{
  for (TClass c = AClass; c; c = c->Parent)
    for (const TPropInfo& prop : OwnProps(c))
      if (SameName(prop.Name, AName))
        return &prop;
  return nullptr;
}

const TPropInfo* GetPropInfo(const TObject* AInstance, std::wstring_view AName)
{
  return AInstance ? GetPropInfo(AInstance->ClassType(), AName) : nullptr;
}

std::vector<const TPropInfo*> GetPropList(TClass AClass, TTypeKinds AKinds)
{
  std::vector<TClass> chain;
  for (TClass c = AClass; c; c = c->Parent)
    chain.push_back(c);
  std::vector<const TPropInfo*> all;
  for (auto c = chain.rbegin(); c != chain.rend(); ++c)
    for (const TPropInfo& prop : OwnProps(*c)) {
      auto same = std::find_if(all.begin(), all.end(), [&](const TPropInfo* p) { return SameName(p->Name, prop.Name); });
      if (same != all.end())
        *same = &prop;
      else
        all.push_back(&prop);
    }
  std::erase_if(all, [&](const TPropInfo* p) { return !AKinds.Contains(p->PropType->Kind); });
  return all;
}

std::vector<const TPropInfo*> GetPropList(const TObject* AInstance, TTypeKinds AKinds)
{
  return AInstance ? GetPropList(AInstance->ClassType(), AKinds) : std::vector<const TPropInfo*>();
}

bool IsPublishedProp(TClass AClass, std::wstring_view AName)
{
  return GetPropInfo(AClass, AName) != nullptr;
}

bool IsPublishedProp(const TObject* AInstance, std::wstring_view AName)
{
  return GetPropInfo(AInstance, AName) != nullptr;
}

TTypeKind PropType(TClass AClass, std::wstring_view AName)
{
  const TPropInfo* prop = GetPropInfo(AClass, AName);
  if (!prop)
    UnknownProperty(AName);
  return prop->PropType->Kind;
}

TTypeKind PropType(const TObject* AInstance, std::wstring_view AName)
{
  if (!AInstance)
    UnknownProperty(AName);
  return PropType(AInstance->ClassType(), AName);
}

bool IsStoredProp(TObject* AInstance, const TPropInfo* AProp)
{
  return AProp->StoredProc ? AProp->StoredProc(AInstance) : AProp->StoredConst;
}

// ---------------------------------------------------------------------------
// Ordinals

std::int64_t GetOrdProp(TObject* AInstance, const TPropInfo* AProp)
{
  CheckKind(AProp, IsOrdinalKind(AProp->PropType->Kind));
  return Read<std::int64_t>(AInstance, AProp);
}

std::int64_t GetOrdProp(TObject* AInstance, std::wstring_view AName)
{
  return GetOrdProp(AInstance, FindProp(AInstance, AName));
}

void SetOrdProp(TObject* AInstance, const TPropInfo* AProp, std::int64_t AValue)
{
  const TTypeInfo* type = AProp->PropType;
  CheckKind(AProp, IsOrdinalKind(type->Kind));
  // A set's members beyond its last are dropped (TSet::FromOrd), as the
  // framework stores only the set's own bits.
  if (type->Kind == tkSet ? AValue < 0 || AValue > UINT32_MAX : AValue < type->MinValue || AValue > type->MaxValue)
    InvalidPropertyValue();
  Write(AInstance, AProp, AValue);
}

void SetOrdProp(TObject* AInstance, std::wstring_view AName, std::int64_t AValue)
{
  SetOrdProp(AInstance, FindProp(AInstance, AName), AValue);
}

String GetEnumProp(TObject* AInstance, const TPropInfo* AProp)
{
  CheckKind(AProp, AProp->PropType->Kind == tkEnumeration);
  return GetEnumName(AProp->PropType, static_cast<int>(Read<std::int64_t>(AInstance, AProp)));
}

String GetEnumProp(TObject* AInstance, std::wstring_view AName)
{
  return GetEnumProp(AInstance, FindProp(AInstance, AName));
}

void SetEnumProp(TObject* AInstance, const TPropInfo* AProp, std::wstring_view AValue)
{
  CheckKind(AProp, AProp->PropType->Kind == tkEnumeration);
  const int value = GetEnumValue(AProp->PropType, AValue);
  if (value < 0)
    throw EPropertyConvertError(L"Invalid property element: " + String(AValue));
  Write(AInstance, AProp, std::int64_t(value));
}

void SetEnumProp(TObject* AInstance, std::wstring_view AName, std::wstring_view AValue)
{
  SetEnumProp(AInstance, FindProp(AInstance, AName), AValue);
}

String GetSetProp(TObject* AInstance, const TPropInfo* AProp, bool ABrackets)
{
  CheckKind(AProp, AProp->PropType->Kind == tkSet);
  const auto ord = static_cast<std::uint32_t>(Read<std::int64_t>(AInstance, AProp));
  return SetToString(AProp->PropType->CompType->EnumInfo, ord, ABrackets);
}

String GetSetProp(TObject* AInstance, std::wstring_view AName, bool ABrackets)
{
  return GetSetProp(AInstance, FindProp(AInstance, AName), ABrackets);
}

void SetSetProp(TObject* AInstance, const TPropInfo* AProp, std::wstring_view AValue)
{
  CheckKind(AProp, AProp->PropType->Kind == tkSet);
  std::uint32_t ord = 0;
  try {
    ord = StringToSet(AProp->PropType->CompType->EnumInfo, AValue);
  } catch (const EConvertError& E) {
    throw EPropertyConvertError(E.Message());
  }
  Write(AInstance, AProp, std::int64_t(ord));
}

void SetSetProp(TObject* AInstance, std::wstring_view AName, std::wstring_view AValue)
{
  SetSetProp(AInstance, FindProp(AInstance, AName), AValue);
}

std::int64_t GetInt64Prop(TObject* AInstance, const TPropInfo* AProp)
{
  if (AProp->PropType->Kind == tkInt64)
    return Read<std::int64_t>(AInstance, AProp);
  return GetOrdProp(AInstance, AProp);
}

std::int64_t GetInt64Prop(TObject* AInstance, std::wstring_view AName)
{
  return GetInt64Prop(AInstance, FindProp(AInstance, AName));
}

void SetInt64Prop(TObject* AInstance, const TPropInfo* AProp, std::int64_t AValue)
{
  if (AProp->PropType->Kind == tkInt64)
    Write(AInstance, AProp, AValue);
  else
    SetOrdProp(AInstance, AProp, AValue);
}

void SetInt64Prop(TObject* AInstance, std::wstring_view AName, std::int64_t AValue)
{
  SetInt64Prop(AInstance, FindProp(AInstance, AName), AValue);
}

// ---------------------------------------------------------------------------
// Floats and texts

Extended GetFloatProp(TObject* AInstance, const TPropInfo* AProp)
{
  CheckKind(AProp, AProp->PropType->Kind == tkFloat);
  return Read<Extended>(AInstance, AProp);
}

Extended GetFloatProp(TObject* AInstance, std::wstring_view AName)
{
  return GetFloatProp(AInstance, FindProp(AInstance, AName));
}

void SetFloatProp(TObject* AInstance, const TPropInfo* AProp, Extended AValue)
{
  CheckKind(AProp, AProp->PropType->Kind == tkFloat);
  Write(AInstance, AProp, AValue);
}

void SetFloatProp(TObject* AInstance, std::wstring_view AName, Extended AValue)
{
  SetFloatProp(AInstance, FindProp(AInstance, AName), AValue);
}

String GetStrProp(TObject* AInstance, const TPropInfo* AProp)
{
  CheckKind(AProp, IsStringKind(AProp->PropType->Kind));
  return Read<String>(AInstance, AProp);
}

String GetStrProp(TObject* AInstance, std::wstring_view AName)
{
  return GetStrProp(AInstance, FindProp(AInstance, AName));
}

void SetStrProp(TObject* AInstance, const TPropInfo* AProp, const String& AValue)
{
  CheckKind(AProp, IsStringKind(AProp->PropType->Kind));
  Write(AInstance, AProp, AValue);
}

void SetStrProp(TObject* AInstance, std::wstring_view AName, const String& AValue)
{
  SetStrProp(AInstance, FindProp(AInstance, AName), AValue);
}

// ---------------------------------------------------------------------------
// Objects, events, variants

TObject* GetObjectProp(TObject* AInstance, const TPropInfo* AProp, TClass AMinClass)
{
  CheckKind(AProp, AProp->PropType->Kind == tkClass);
  TObject* value = Read<TObject*>(AInstance, AProp);
  if (value && AMinClass && !value->InheritsFrom(AMinClass))
    return nullptr;
  return value;
}

TObject* GetObjectProp(TObject* AInstance, std::wstring_view AName, TClass AMinClass)
{
  return GetObjectProp(AInstance, FindProp(AInstance, AName), AMinClass);
}

void SetObjectProp(TObject* AInstance, const TPropInfo* AProp, TObject* AValue)
{
  CheckKind(AProp, AProp->PropType->Kind == tkClass);
  if (AValue && !AValue->InheritsFrom(AProp->PropType->ClassType()))
    throw EInvalidCast(L"Invalid class typecast");
  Write(AInstance, AProp, AValue);
}

void SetObjectProp(TObject* AInstance, std::wstring_view AName, TObject* AValue)
{
  SetObjectProp(AInstance, FindProp(AInstance, AName), AValue);
}

TClass GetObjectPropClass(const TPropInfo* AProp)
{
  return AProp->PropType->ClassType();
}

TMethodRaw GetMethodProp(TObject* AInstance, const TPropInfo* AProp)
{
  CheckKind(AProp, AProp->PropType->Kind == tkMethod);
  return Read<TMethodRaw>(AInstance, AProp);
}

TMethodRaw GetMethodProp(TObject* AInstance, std::wstring_view AName)
{
  return GetMethodProp(AInstance, FindProp(AInstance, AName));
}

void SetMethodProp(TObject* AInstance, const TPropInfo* AProp, const TMethodRaw& AValue)
{
  CheckKind(AProp, AProp->PropType->Kind == tkMethod);
  Write(AInstance, AProp, AValue);
}

void SetMethodProp(TObject* AInstance, std::wstring_view AName, const TMethodRaw& AValue)
{
  SetMethodProp(AInstance, FindProp(AInstance, AName), AValue);
}

Variant GetVariantProp(TObject* AInstance, const TPropInfo* AProp)
{
  CheckKind(AProp, AProp->PropType->Kind == tkVariant);
  return Read<Variant>(AInstance, AProp);
}

Variant GetVariantProp(TObject* AInstance, std::wstring_view AName)
{
  return GetVariantProp(AInstance, FindProp(AInstance, AName));
}

void SetVariantProp(TObject* AInstance, const TPropInfo* AProp, const Variant& AValue)
{
  CheckKind(AProp, AProp->PropType->Kind == tkVariant);
  Write(AInstance, AProp, AValue);
}

void SetVariantProp(TObject* AInstance, std::wstring_view AName, const Variant& AValue)
{
  SetVariantProp(AInstance, FindProp(AInstance, AName), AValue);
}

// ---------------------------------------------------------------------------
// Through variants

Variant GetPropValue(TObject* AInstance, const TPropInfo* AProp, bool APreferStrings)
{
  const TTypeInfo* type = AProp->PropType;
  switch (type->Kind) {
    case tkInteger: {
      const std::int64_t value = GetOrdProp(AInstance, AProp);
      if (type->MaxValue > INT32_MAX)
        return Variant::FromLongWord(static_cast<std::uint32_t>(value));
      return Variant(static_cast<std::int32_t>(value));
    }
    case tkChar:
    case tkWChar:
      return Variant(static_cast<std::int32_t>(GetOrdProp(AInstance, AProp)));
    case tkEnumeration:
      if (IsBoolean(type))
        return Variant(GetOrdProp(AInstance, AProp) != 0);
      if (APreferStrings)
        return Variant(GetEnumProp(AInstance, AProp));
      return Variant(static_cast<std::int32_t>(GetOrdProp(AInstance, AProp)));
    case tkSet:
      if (APreferStrings)
        return Variant(GetSetProp(AInstance, AProp));
      return Variant(static_cast<std::int32_t>(GetOrdProp(AInstance, AProp)));
    case tkFloat: {
      const Extended value = GetFloatProp(AInstance, AProp);
      if (type == &TypeInfoDateTime)
        return Variant::FromDate(static_cast<double>(value));
      if (IsCurrency(type))
        return Variant(Currency::FromRaw(Round(value * 10000)));
      return Variant(static_cast<double>(value));
    }
    case tkString:
    case tkLString:
    case tkWString:
    case tkUString:
      return Variant(GetStrProp(AInstance, AProp));
    case tkVariant:
      return GetVariantProp(AInstance, AProp);
    case tkInt64:
      return Variant(GetInt64Prop(AInstance, AProp));
    default:
      InvalidPropertyType(AProp);
  }
}

Variant GetPropValue(TObject* AInstance, std::wstring_view AName, bool APreferStrings)
{
  return GetPropValue(AInstance, FindProp(AInstance, AName), APreferStrings);
}

void SetPropValue(TObject* AInstance, const TPropInfo* AProp, const Variant& AValue)
{
  const TTypeInfo* type = AProp->PropType;
  switch (type->Kind) {
    case tkInteger:
      SetOrdProp(AInstance, AProp, AValue.AsInt64());
      break;
    case tkChar:
    case tkWChar:
      if (VarIsStr(AValue) && AValue.AsString().size() == 1)
        SetOrdProp(AInstance, AProp, AValue.AsString()[0]);
      else
        SetOrdProp(AInstance, AProp, AValue.AsInt64());
      break;
    case tkEnumeration:
      if (VarIsStr(AValue))
        SetEnumProp(AInstance, AProp, AValue.AsString());
      else if (IsBoolean(type))
        SetOrdProp(AInstance, AProp, AValue.AsBoolean() ? 1 : 0);
      else
        SetOrdProp(AInstance, AProp, AValue.AsInt64());
      break;
    case tkSet:
      if (VarIsStr(AValue))
        SetSetProp(AInstance, AProp, AValue.AsString());
      else
        SetOrdProp(AInstance, AProp, AValue.AsInt64());
      break;
    case tkFloat:
      if (type == &TypeInfoDateTime)
        SetFloatProp(AInstance, AProp, AValue.AsDateTime());
      else if (IsCurrency(type))
        SetFloatProp(AInstance, AProp, static_cast<Extended>(AValue.AsCurrency().Raw()) / 10000);
      else
        SetFloatProp(AInstance, AProp, AValue.AsDouble());
      break;
    case tkString:
    case tkLString:
    case tkWString:
    case tkUString:
      SetStrProp(AInstance, AProp, VarToStr(AValue));
      break;
    case tkVariant:
      SetVariantProp(AInstance, AProp, AValue);
      break;
    case tkInt64:
      SetInt64Prop(AInstance, AProp, AValue.AsInt64());
      break;
    default:
      InvalidPropertyType(AProp);
  }
}

void SetPropValue(TObject* AInstance, std::wstring_view AName, const Variant& AValue)
{
  SetPropValue(AInstance, FindProp(AInstance, AName), AValue);
}

// ---------------------------------------------------------------------------
// Published methods

const TMethodEntry* FindPublishedMethod(TClass AClass, std::wstring_view AName)
{
  for (TClass c = AClass; c; c = c->Parent)
    for (const TMethodEntry& method : OwnMethods(c))
      if (SameName(method.Name, AName))
        return &method;
  return nullptr;
}

void* MethodAddress(TClass AClass, std::wstring_view AName)
{
  const TMethodEntry* method = FindPublishedMethod(AClass, AName);
  return method ? method->Code() : nullptr;
}

String MethodName(TClass AClass, void* ACode)
{
  if (!ACode)
    return String();
  for (TClass c = AClass; c; c = c->Parent)
    for (const TMethodEntry& method : OwnMethods(c))
      if (method.Code() == ACode)
        return String(method.Name);
  return String();
}

void BindMethodProp(TObject* AInstance, const TPropInfo* AProp, TObject* ARoot, std::wstring_view AMethodName)
{
  CheckKind(AProp, AProp->PropType->Kind == tkMethod);
  const TMethodEntry* method = ARoot ? FindPublishedMethod(ARoot->ClassType(), AMethodName) : nullptr;
  if (!method)
    throw EPropertyError(L"Method " + String(AMethodName) + L" not found");
  if (method->EventType != AProp->PropType)
    InvalidPropertyValue();
  Write(AInstance, AProp, TMethodRaw{method->Code(), method->Data(ARoot)});
}

}  // namespace rtl
