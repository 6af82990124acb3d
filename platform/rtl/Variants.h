// Variants: a value of one of the framework's variant types, tagged with the
// framework's type code (the codes are observable: streams and value types
// store them).
//
// Contents: the type codes; class Variant with construction, conversions
// (CastTo) and the framework's equality and ordering; the Var* test
// routines; one-dimensional variant arrays; VarToStr and friends.
//
// Rules kept from the framework:
// - Empty converts to 0, "" and False; Null converts to nothing but Null
//   (EVariantError), except that VarToStr(Null) is "".
// - Boolean True is -1 as a number and "True" as text.
// - Text converts to numbers as TryStrToInt64 and TryStrToFloat read it
//   ("NAN" and "INF" included), with the decimal separator of
//   FormatSettings(); numbers become text as FloatToStr writes them (7 significant digits for
//   Single) and currency as CurrToStr does. Dates become
//   "yyyy-mm-dd hh:nn:ss" (the time left out at midnight) and only that form
//   reads back as a date: a stand-in until the locale's date formats are
//   available.
// - Narrowing out of range raises EVariantError; floats round halves to even.
// - Equality follows the loose Null rule: Null equals Null and nothing else.
//   Ordering puts Null below every other value. Empty compares as 0 with
//   numbers and as "" with texts. Text against a number compares as numbers
//   (EVariantError when the text is not a number). Texts compare ordinally,
//   case-sensitive.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <variant>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/SystemTypes.h"

namespace rtl {

using TVarType = uint16_t;

constexpr TVarType varEmpty = 0x0000;
constexpr TVarType varNull = 0x0001;
constexpr TVarType varSmallint = 0x0002;
constexpr TVarType varInteger = 0x0003;
constexpr TVarType varSingle = 0x0004;
constexpr TVarType varDouble = 0x0005;
constexpr TVarType varCurrency = 0x0006;
constexpr TVarType varDate = 0x0007;
constexpr TVarType varOleStr = 0x0008;
constexpr TVarType varBoolean = 0x000B;
constexpr TVarType varVariant = 0x000C;
constexpr TVarType varShortInt = 0x0010;
constexpr TVarType varByte = 0x0011;
constexpr TVarType varWord = 0x0012;
constexpr TVarType varLongWord = 0x0013;
constexpr TVarType varInt64 = 0x0014;
constexpr TVarType varUInt64 = 0x0015;
constexpr TVarType varString = 0x0100;
constexpr TVarType varUString = 0x0102;
constexpr TVarType varTypeMask = 0x0FFF;
constexpr TVarType varArray = 0x2000;

// Result of VarCompareValue; vrNotEqual when exactly one side is Null or the
// values are unordered (a NaN).
enum TVariantRelationship { vrEqual, vrLessThan, vrGreaterThan, vrNotEqual };

struct VarArrayData;

class Variant {
 public:
  Variant() = default;  // Empty
  Variant(int32_t AValue);   // varInteger
  Variant(int64_t AValue);   // varInt64
  Variant(uint64_t AValue);  // varUInt64
  Variant(double AValue);    // varDouble
  Variant(bool AValue);      // varBoolean
  Variant(Currency AValue);  // varCurrency
  Variant(String AValue);    // varUString
  Variant(const wchar_t* AValue);
  // A narrow literal or an object pointer would otherwise silently become a
  // Boolean.
  Variant(const char*) = delete;
  Variant(const void*) = delete;

  static Variant Null();
  static Variant FromSmallint(int16_t AValue);
  static Variant FromShortInt(int8_t AValue);
  static Variant FromByte(uint8_t AValue);
  static Variant FromWord(uint16_t AValue);
  static Variant FromLongWord(uint32_t AValue);
  static Variant FromSingle(float AValue);
  static Variant FromDate(TDateTime AValue);
  static Variant FromOleStr(String AValue);
  // varString: 8-bit text in its own code page.
  static Variant FromAnsiString(AnsiString AValue);

  TVarType VarType() const { return FVarType; }

  // Conversions; each raises EVariantError where CastTo to the matching type
  // would.
  int32_t AsInteger() const;
  int64_t AsInt64() const;
  double AsDouble() const;
  bool AsBoolean() const;
  TDateTime AsDateTime() const;
  Currency AsCurrency() const;
  // VarToStr: Null gives the empty text.
  String AsString() const;
  // An 8-bit string as it is, with its code page; any other value its text
  // in the system code page.
  AnsiString AsAnsiString() const;

  // The value converted to the type code (VarAsType). varVariant keeps the
  // value, varNull and varEmpty give Null and Empty.
  Variant CastTo(TVarType AVarType) const;

  friend bool operator==(const Variant& A, const Variant& B);
  friend bool operator<(const Variant& A, const Variant& B);

 private:
  friend struct VariantAccess;

  // Owns a copy of the array: copying a variant copies its elements.
  struct ArrayBox {
    std::unique_ptr<VarArrayData> Data;
    ArrayBox();
    ArrayBox(const ArrayBox& AOther);
    ArrayBox(ArrayBox&&) noexcept;
    ArrayBox& operator=(const ArrayBox& AOther);
    ArrayBox& operator=(ArrayBox&&) noexcept;
    ~ArrayBox();
  };

  TVarType FVarType = varEmpty;
  // Integers, Currency (its raw count) | UInt64 | Single, Double, Date |
  // Boolean | OleStr, UnicodeString | String | arrays.
  std::variant<std::monostate, int64_t, uint64_t, double, bool, String, AnsiString, ArrayBox> FData;
};

inline Variant Null() { return Variant::Null(); }
inline Variant Unassigned() { return Variant(); }

inline TVarType VarType(const Variant& V) { return V.VarType(); }
inline Variant VarAsType(const Variant& V, TVarType AVarType) { return V.CastTo(AVarType); }
// The framework's name of a type code: "Integer", "UnicodeString", "Array Variant".
String VarTypeAsText(TVarType AVarType);

bool VarIsNull(const Variant& V);
bool VarIsEmpty(const Variant& V);
bool VarIsClear(const Variant& V);
bool VarIsArray(const Variant& V);
bool VarIsStr(const Variant& V);
// Integer types and Boolean.
bool VarIsOrdinal(const Variant& V);
// Single, Double and Currency (not Date).
bool VarIsFloat(const Variant& V);
bool VarIsNumeric(const Variant& V);

String VarToStr(const Variant& V);
String VarToStrDef(const Variant& V, const String& ADefault);
String VarToWideStr(const Variant& V);

TVariantRelationship VarCompareValue(const Variant& A, const Variant& B);

// One-dimensional arrays. The elements of a varVariant array are any
// variants; an array of another element type converts what is put into it.
Variant VarArrayCreate(int ALowBound, int AHighBound, TVarType AVarType);
Variant VarArrayOf(std::initializer_list<Variant> AValues);
int VarArrayDimCount(const Variant& A);
int VarArrayLowBound(const Variant& A, int ADim);
int VarArrayHighBound(const Variant& A, int ADim);
Variant VarArrayGet(const Variant& A, int AIndex);
void VarArrayPut(Variant& A, const Variant& AValue, int AIndex);

}  // namespace rtl
