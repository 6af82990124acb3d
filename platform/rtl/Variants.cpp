// Variants: conversions, comparison and arrays.
//
// Contents: the error texts; date text routines (stand-ins until the shared
// date formatting exists); the conversion of a value to each kind of target;
// CastTo; comparison; the Var* routines; arrays. Numbers and text convert
// through the shared SysUtils routines with FormatSettings().
#include "platform/rtl/Variants.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <iterator>
#include <limits>
#include <new>
#include <stdexcept>
#include <vector>

namespace rtl {

struct VarArrayData {
  int LowBound = 0;
  TVarType ElementType = varVariant;
  std::vector<Variant> Items;
};

// The private parts of Variant that the routines of this unit work on.
struct VariantAccess {
  static const auto& Data(const Variant& V) { return V.FData; }
  template <class T>
  static Variant Make(TVarType AVarType, T AValue)
  {
    Variant result;
    result.FVarType = AVarType;
    result.FData = std::move(AValue);
    return result;
  }
  static Variant MakeArray(std::unique_ptr<VarArrayData> AData)
  {
    Variant result;
    result.FVarType = varArray | AData->ElementType;
    Variant::ArrayBox box;
    box.Data = std::move(AData);
    result.FData = std::move(box);
    return result;
  }
  static VarArrayData* Array(const Variant& V)
  {
    auto* box = std::get_if<Variant::ArrayBox>(&V.FData);
    return box ? box->Data.get() : nullptr;
  }
};

Variant::ArrayBox::ArrayBox() = default;
Variant::ArrayBox::ArrayBox(const ArrayBox& AOther)
    : Data(AOther.Data ? std::make_unique<VarArrayData>(*AOther.Data) : nullptr)
{
}
Variant::ArrayBox::ArrayBox(ArrayBox&&) noexcept = default;
Variant::ArrayBox& Variant::ArrayBox::operator=(const ArrayBox& AOther)
{
  if (this != &AOther)
    Data = AOther.Data ? std::make_unique<VarArrayData>(*AOther.Data) : nullptr;
  return *this;
}
Variant::ArrayBox& Variant::ArrayBox::operator=(ArrayBox&&) noexcept = default;
Variant::ArrayBox::~ArrayBox() = default;

namespace {

// ---- Error texts: the framework's, in one place.

constexpr const wchar_t* SVarTypeCouldNotConvert = L"Could not convert variant of type (%0) into type (%1)";
constexpr const wchar_t* SVarTypeConvertOverflow = L"Overflow while converting variant of type (%0) into type (%1)";
constexpr const wchar_t* SVarArrayBounds = L"Variant or safe array index out of bounds";
constexpr const wchar_t* SVarArrayCreate = L"Error creating variant or safe array";
constexpr const wchar_t* SVarNotArray = L"Variant is not an array";
constexpr const wchar_t* SVarBadType = L"Invalid variant type";
constexpr const wchar_t* SInvalidVarOp = L"Invalid variant operation";

String FormatTypes(const wchar_t* ATemplate, TVarType AFrom, TVarType ATo)
{
  String result = ATemplate;
  result.replace(result.find(L"%0"), 2, VarTypeAsText(AFrom));
  result.replace(result.find(L"%1"), 2, VarTypeAsText(ATo));
  return result;
}

[[noreturn]] void CastError(TVarType AFrom, TVarType ATo)
{
  throw EVariantError(FormatTypes(SVarTypeCouldNotConvert, AFrom, ATo));
}

[[noreturn]] void OverflowError(TVarType AFrom, TVarType ATo)
{
  throw EVariantError(FormatTypes(SVarTypeConvertOverflow, AFrom, ATo));
}

[[noreturn]] void Raise(const wchar_t* AMessage)
{
  throw EVariantError(AMessage);
}

// ---- Dates as text. A stand-in for the shared date formatting: the fixed
// form "yyyy-mm-dd hh:nn:ss", the time left out at midnight.

constexpr int kDaysFrom1970To1899 = -25569;  // 1899-12-30, day 0 of TDateTime
constexpr double kMinDate = -693593;         // 0001-01-01
constexpr double kMaxDate = 2958466;         // 10000-01-01

// Civil date of a count of days since 1970-01-01 (proleptic Gregorian).
void CivilFromDays(int64_t ADays, int& AYear, int& AMonth, int& ADay)
{
  ADays += 719468;
  const int64_t era = (ADays >= 0 ? ADays : ADays - 146096) / 146097;
  const int64_t dayOfEra = ADays - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t mp = (5 * dayOfYear + 2) / 153;
  ADay = int(dayOfYear - (153 * mp + 2) / 5 + 1);
  AMonth = int(mp < 10 ? mp + 3 : mp - 9);
  AYear = int(yearOfEra + era * 400 + (AMonth <= 2 ? 1 : 0));
}

int64_t DaysFromCivil(int AYear, int AMonth, int ADay)
{
  const int64_t y = AYear - (AMonth <= 2 ? 1 : 0);
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yearOfEra = y - era * 400;
  const int64_t dayOfYear = (153 * (AMonth + (AMonth > 2 ? -3 : 9)) + 2) / 5 + ADay - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

bool TryDateTimeToText(TDateTime AValue, String& AResult)
{
  if (!(AValue >= kMinDate && AValue < kMaxDate))
    return false;
  // The fraction is the time of day also before day 0: -1.25 is 06:00 on the day before.
  const double day = std::trunc(AValue);
  int64_t milliseconds = std::llround(std::fabs(AValue - day) * 86400000.0);
  if (milliseconds >= 86400000)
    milliseconds = 86400000 - 1;
  int year, month, dayOfMonth;
  CivilFromDays(int64_t(day) + kDaysFrom1970To1899, year, month, dayOfMonth);
  wchar_t text[32];
  const int length = std::swprintf(text, 32, L"%04d-%02d-%02d", year, month, dayOfMonth);
  if (milliseconds != 0) {
    const int seconds = int(milliseconds / 1000);
    std::swprintf(text + length, 32 - length, L" %02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
  }
  AResult = text;
  return true;
}

// Reads the form TryDateTimeToText writes; seconds may be left out.
bool TryTextToDateTime(const String& AText, TDateTime& AResult)
{
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, consumed = 0;
  const int fields = std::swscanf(AText.c_str(), L"%4d-%2d-%2d%n %2d:%2d%n:%2d%n", &year, &month, &day, &consumed,
                                  &hour, &minute, &consumed, &second, &consumed);
  if (fields < 3 || fields == 4 || size_t(consumed) != AText.size())
    return false;
  if (year < 1 || month < 1 || month > 12 || day < 1 || hour > 23 || minute > 59 || second > 59 || hour < 0 ||
      minute < 0 || second < 0)
    return false;
  int checkYear, checkMonth, checkDay;
  const int64_t days = DaysFromCivil(year, month, day);
  CivilFromDays(days, checkYear, checkMonth, checkDay);
  if (checkDay != day)
    return false;
  const double date = double(days - kDaysFrom1970To1899);
  const double time = (hour * 3600 + minute * 60 + second) / 86400.0;
  AResult = date < 0 ? date - time : date + time;
  return true;
}

// ---- Conversion of one value to the kinds of targets. AFrom and ATo name
// the types in error texts.

bool IsIntegerType(TVarType AVarType)
{
  switch (AVarType) {
    case varSmallint: case varInteger: case varShortInt: case varByte:
    case varWord: case varLongWord: case varInt64: case varUInt64:
      return true;
    default:
      return false;
  }
}

bool IsTextType(TVarType AVarType)
{
  return AVarType == varOleStr || AVarType == varString || AVarType == varUString;
}

String TextOf(const Variant& V)
{
  if (const auto* ansi = std::get_if<AnsiString>(&VariantAccess::Data(V)))
    return ansi->ToString();
  return std::get<String>(VariantAccess::Data(V));
}

// Round, halves to even; false when the result leaves the 64-bit range.
bool TryRoundToInt64(Extended AValue, int64_t& AResult)
{
  try {
    AResult = Round(AValue);
    return true;
  } catch (const EInvalidOp&) {
    return false;
  }
}

// As TryRoundToInt64 for the unsigned range.
bool TryRoundToUInt64(Extended AValue, uint64_t& AResult)
{
  // From 2**63 on, an Extended has no fraction left to round.
  if (AValue >= 9223372036854775808.0L && AValue < 18446744073709551616.0L) {
    AResult = uint64_t(AValue);
    return true;
  }
  int64_t result;
  if (!TryRoundToInt64(AValue, result) || result < 0)
    return false;
  AResult = uint64_t(result);
  return true;
}

// Currency ten-thousandths to whole units, halves to even.
int64_t RoundCurrency(int64_t ARaw)
{
  int64_t quotient = ARaw / 10000;
  const int64_t remainder = ARaw % 10000;
  if (remainder > 5000 || (remainder == 5000 && (quotient & 1)))
    ++quotient;
  else if (remainder < -5000 || (remainder == -5000 && (quotient & 1)))
    --quotient;
  return quotient;
}

int64_t ToInt64(const Variant& V, TVarType ATo)
{
  const TVarType from = V.VarType();
  const auto& data = VariantAccess::Data(V);
  if (from == varEmpty)
    return 0;
  if (from == varCurrency)
    return RoundCurrency(std::get<int64_t>(data));
  if (const auto* value = std::get_if<int64_t>(&data))
    return *value;
  if (const auto* value = std::get_if<uint64_t>(&data)) {
    if (*value > uint64_t(std::numeric_limits<int64_t>::max()))
      OverflowError(from, ATo);
    return int64_t(*value);
  }
  if (const auto* value = std::get_if<bool>(&data))
    return *value ? -1 : 0;
  int64_t result;
  if (const auto* value = std::get_if<double>(&data)) {
    if (!TryRoundToInt64(*value, result))
      OverflowError(from, ATo);
    return result;
  }
  if (IsTextType(from)) {
    const String text = TextOf(V);
    if (TryStrToInt64(text, result))
      return result;
    Extended number;
    if (TryStrToFloat(text, number)) {
      if (!TryRoundToInt64(number, result))
        OverflowError(from, ATo);
      return result;
    }
  }
  CastError(from, ATo);
}

uint64_t ToUInt64(const Variant& V, TVarType ATo)
{
  const TVarType from = V.VarType();
  const auto& data = VariantAccess::Data(V);
  if (const auto* value = std::get_if<uint64_t>(&data))
    return *value;
  uint64_t result;
  if (const auto* value = std::get_if<double>(&data)) {
    if (!TryRoundToUInt64(*value, result))
      OverflowError(from, ATo);
    return result;
  }
  if (IsTextType(from)) {
    // Decimal text beyond the Int64 range is exact as an Extended.
    const String text = TextOf(V);
    int64_t integer;
    const bool isInteger = TryStrToInt64(text, integer);
    if (isInteger && integer >= 0)
      return uint64_t(integer);
    Extended number;
    if (TryStrToFloat(text, number)) {
      if (!TryRoundToUInt64(number, result))
        OverflowError(from, ATo);
      return result;
    }
    if (isInteger)
      OverflowError(from, ATo);
    CastError(from, ATo);
  }
  const int64_t signedResult = ToInt64(V, ATo);
  if (signedResult < 0)
    OverflowError(from, ATo);
  return uint64_t(signedResult);
}

int64_t ToIntegerInRange(const Variant& V, TVarType ATo, int64_t AMin, int64_t AMax)
{
  const int64_t result = ToInt64(V, ATo);
  if (result < AMin || result > AMax)
    OverflowError(V.VarType(), ATo);
  return result;
}

double ToDouble(const Variant& V, TVarType ATo)
{
  const TVarType from = V.VarType();
  const auto& data = VariantAccess::Data(V);
  if (from == varEmpty)
    return 0;
  if (from == varCurrency)
    return V.AsCurrency().ToDouble();
  if (const auto* value = std::get_if<int64_t>(&data))
    return double(*value);
  if (const auto* value = std::get_if<uint64_t>(&data))
    return double(*value);
  if (const auto* value = std::get_if<bool>(&data))
    return *value ? -1 : 0;
  if (const auto* value = std::get_if<double>(&data))
    return *value;
  double result;
  if (IsTextType(from) && TryStrToFloat(TextOf(V), result))
    return result;
  CastError(from, ATo);
}

Currency ToCurrency(const Variant& V, TVarType ATo)
{
  const TVarType from = V.VarType();
  const auto& data = VariantAccess::Data(V);
  if (from == varCurrency)
    return Currency::FromRaw(std::get<int64_t>(data));
  Extended amount;
  if (IsTextType(from)) {
    // Read as an Extended: through a double the last digits of large
    // amounts would be lost.
    if (!TryStrToFloat(TextOf(V), amount))
      CastError(from, ATo);
  } else if (const auto* value = std::get_if<double>(&data)) {
    amount = *value;
  } else if (const auto* value = std::get_if<uint64_t>(&data)) {
    amount = *value;
  } else {
    amount = ToInt64(V, ATo);  // exact in the 64-bit mantissa of an Extended
  }
  int64_t raw;
  if (!TryRoundToInt64(amount * 10000, raw))
    OverflowError(from, ATo);
  return Currency::FromRaw(raw);
}

bool ToBoolean(const Variant& V, TVarType ATo)
{
  const TVarType from = V.VarType();
  const auto& data = VariantAccess::Data(V);
  if (const auto* value = std::get_if<bool>(&data))
    return *value;
  if (IsTextType(from)) {
    const String text = TextOf(V);
    if (SameText(text, L"True"))
      return true;
    if (SameText(text, L"False"))
      return false;
    double number;
    if (TryStrToFloat(text, number))
      return number != 0;
    CastError(from, ATo);
  }
  if (const auto* value = std::get_if<double>(&data))
    return *value != 0;
  if (const auto* value = std::get_if<uint64_t>(&data))
    return *value != 0;
  if (from == varEmpty)
    return false;
  if (const auto* value = std::get_if<int64_t>(&data))
    return *value != 0;
  CastError(from, ATo);
}

TDateTime ToDateTime(const Variant& V, TVarType ATo)
{
  if (IsTextType(V.VarType())) {
    TDateTime result;
    if (!TryTextToDateTime(TextOf(V), result))
      CastError(V.VarType(), ATo);
    return result;
  }
  return ToDouble(V, ATo);
}

String ToText(const Variant& V, TVarType ATo)
{
  const TVarType from = V.VarType();
  const auto& data = VariantAccess::Data(V);
  switch (from) {
    case varEmpty:
      return String();
    case varOleStr:
    case varUString:
    case varString:
      return TextOf(V);
    case varBoolean:
      return std::get<bool>(data) ? L"True" : L"False";
    case varCurrency:
      return CurrToStr(V.AsCurrency());
    case varSingle:
      // A Single holds about 7 digits; more would show the binary noise of its widening.
      return FloatToStrF(std::get<double>(data), ffGeneral, 7, 0);
    case varDouble:
      return FloatToStr(std::get<double>(data));
    case varDate: {
      String result;
      if (!TryDateTimeToText(std::get<double>(data), result))
        CastError(from, ATo);
      return result;
    }
    case varUInt64:
      return UIntToStr(std::get<uint64_t>(data));
    default:
      if (IsIntegerType(from))
        return IntToStr(std::get<int64_t>(data));
      CastError(from, ATo);
  }
}

bool IsElementType(TVarType AVarType)
{
  return AVarType == varVariant || AVarType == varSmallint || AVarType == varInteger || AVarType == varSingle ||
         AVarType == varDouble || AVarType == varCurrency || AVarType == varDate || AVarType == varOleStr ||
         AVarType == varBoolean || AVarType == varShortInt || AVarType == varByte || AVarType == varWord ||
         AVarType == varLongWord || AVarType == varInt64 || AVarType == varUInt64 || AVarType == varString ||
         AVarType == varUString;
}

// ---- Comparison.

enum class CompareKind { Empty, Null, Ordinal, Currency, Float, Text, Array };

CompareKind KindOf(const Variant& V)
{
  const TVarType type = V.VarType();
  if (type & varArray)
    return CompareKind::Array;
  if (type == varEmpty)
    return CompareKind::Empty;
  if (type == varNull)
    return CompareKind::Null;
  if (type == varCurrency)
    return CompareKind::Currency;
  if (IsTextType(type))
    return CompareKind::Text;
  if (type == varSingle || type == varDouble || type == varDate)
    return CompareKind::Float;
  return CompareKind::Ordinal;
}

// An integer of either signedness, compared exactly.
struct Ordinal {
  bool Unsigned;
  int64_t Signed;
  uint64_t Magnitude;
};

Ordinal OrdinalOf(const Variant& V)
{
  if (const auto* value = std::get_if<uint64_t>(&VariantAccess::Data(V)))
    return {true, 0, *value};
  const int64_t value = ToInt64(V, varInt64);
  return {false, value, 0};
}

template <class T>
TVariantRelationship Relate(T A, T B)
{
  if (A == B)
    return vrEqual;
  if (A < B)
    return vrLessThan;
  if (B < A)
    return vrGreaterThan;
  return vrNotEqual;  // NaN
}

TVariantRelationship RelateOrdinals(const Ordinal& A, const Ordinal& B)
{
  if (A.Unsigned == B.Unsigned)
    return A.Unsigned ? Relate(A.Magnitude, B.Magnitude) : Relate(A.Signed, B.Signed);
  if (A.Unsigned)
    return B.Signed < 0 ? vrGreaterThan : Relate(A.Magnitude, uint64_t(B.Signed));
  return A.Signed < 0 ? vrLessThan : Relate(uint64_t(A.Signed), B.Magnitude);
}

// Text against a number: the text is read as a number, an integer when the
// other side is one and the text is, else a double.
TVariantRelationship RelateTextToNumber(const Variant& AText, const Variant& ANumber, CompareKind ANumberKind)
{
  const String text = TextOf(AText);
  int64_t integer;
  if (ANumberKind == CompareKind::Ordinal && TryStrToInt64(text, integer))
    return RelateOrdinals({false, integer, 0}, OrdinalOf(ANumber));
  double number;
  if (!TryStrToFloat(text, number))
    CastError(AText.VarType(), varDouble);
  return Relate(number, ToDouble(ANumber, varDouble));
}

TVariantRelationship Reverse(TVariantRelationship ARelation)
{
  return ARelation == vrLessThan ? vrGreaterThan : ARelation == vrGreaterThan ? vrLessThan : ARelation;
}

}  // namespace

// ---- Variant.

Variant::Variant(int32_t AValue) : FVarType(varInteger), FData(int64_t(AValue)) {}
Variant::Variant(int64_t AValue) : FVarType(varInt64), FData(AValue) {}
Variant::Variant(uint64_t AValue) : FVarType(varUInt64), FData(AValue) {}
Variant::Variant(double AValue) : FVarType(varDouble), FData(AValue) {}
Variant::Variant(bool AValue) : FVarType(varBoolean), FData(AValue) {}
Variant::Variant(Currency AValue) : FVarType(varCurrency), FData(AValue.Raw()) {}
Variant::Variant(String AValue) : FVarType(varUString), FData(std::move(AValue)) {}
Variant::Variant(const wchar_t* AValue) : Variant(String(AValue ? AValue : L"")) {}

Variant Variant::Null() { return VariantAccess::Make(varNull, std::monostate()); }
Variant Variant::FromSmallint(int16_t AValue) { return VariantAccess::Make(varSmallint, int64_t(AValue)); }
Variant Variant::FromShortInt(int8_t AValue) { return VariantAccess::Make(varShortInt, int64_t(AValue)); }
Variant Variant::FromByte(uint8_t AValue) { return VariantAccess::Make(varByte, int64_t(AValue)); }
Variant Variant::FromWord(uint16_t AValue) { return VariantAccess::Make(varWord, int64_t(AValue)); }
Variant Variant::FromLongWord(uint32_t AValue) { return VariantAccess::Make(varLongWord, int64_t(AValue)); }
Variant Variant::FromSingle(float AValue) { return VariantAccess::Make(varSingle, double(AValue)); }
Variant Variant::FromDate(TDateTime AValue) { return VariantAccess::Make(varDate, double(AValue)); }
Variant Variant::FromOleStr(String AValue) { return VariantAccess::Make(varOleStr, std::move(AValue)); }
Variant Variant::FromAnsiString(AnsiString AValue) { return VariantAccess::Make(varString, std::move(AValue)); }

int32_t Variant::AsInteger() const { return int32_t(ToIntegerInRange(*this, varInteger, INT32_MIN, INT32_MAX)); }
int64_t Variant::AsInt64() const { return ToInt64(*this, varInt64); }
double Variant::AsDouble() const { return ToDouble(*this, varDouble); }
bool Variant::AsBoolean() const { return ToBoolean(*this, varBoolean); }
TDateTime Variant::AsDateTime() const { return ToDateTime(*this, varDate); }
Currency Variant::AsCurrency() const { return ToCurrency(*this, varCurrency); }
String Variant::AsString() const { return VarToStr(*this); }

AnsiString Variant::AsAnsiString() const
{
  if (const auto* ansi = std::get_if<AnsiString>(&FData))
    return *ansi;
  return AnsiString::FromString(AsString());
}

Variant Variant::CastTo(TVarType AVarType) const
{
  if (AVarType == FVarType || AVarType == varVariant)
    return *this;
  if (AVarType & varArray) {
    if (!IsElementType(AVarType & ~varArray))
      Raise(SVarBadType);
    CastError(FVarType, AVarType);
  }
  if (AVarType != varEmpty && AVarType != varNull && !IsElementType(AVarType))
    Raise(SVarBadType);
  switch (AVarType) {
    case varEmpty:
      return Variant();
    case varNull:
      return Null();
    case varSmallint:
      return FromSmallint(int16_t(ToIntegerInRange(*this, AVarType, INT16_MIN, INT16_MAX)));
    case varShortInt:
      return FromShortInt(int8_t(ToIntegerInRange(*this, AVarType, INT8_MIN, INT8_MAX)));
    case varByte:
      return FromByte(uint8_t(ToIntegerInRange(*this, AVarType, 0, UINT8_MAX)));
    case varWord:
      return FromWord(uint16_t(ToIntegerInRange(*this, AVarType, 0, UINT16_MAX)));
    case varInteger:
      return Variant(int32_t(ToIntegerInRange(*this, AVarType, INT32_MIN, INT32_MAX)));
    case varLongWord:
      return FromLongWord(uint32_t(ToIntegerInRange(*this, AVarType, 0, UINT32_MAX)));
    case varInt64:
      return Variant(ToInt64(*this, AVarType));
    case varUInt64:
      return Variant(ToUInt64(*this, AVarType));
    case varSingle: {
      const double value = ToDouble(*this, AVarType);
      if (std::isfinite(value) && std::fabs(value) > FLT_MAX)
        OverflowError(FVarType, AVarType);
      return FromSingle(float(value));
    }
    case varDouble:
      return Variant(ToDouble(*this, AVarType));
    case varCurrency:
      return Variant(ToCurrency(*this, AVarType));
    case varDate:
      return FromDate(ToDateTime(*this, AVarType));
    case varBoolean:
      return Variant(ToBoolean(*this, AVarType));
    case varOleStr:
      return FromOleStr(ToText(*this, AVarType));
    case varUString:
      return Variant(ToText(*this, AVarType));
    default:  // varString
      return FromAnsiString(AnsiString::FromString(ToText(*this, AVarType)));
  }
}

bool operator==(const Variant& A, const Variant& B)
{
  return VarCompareValue(A, B) == vrEqual;
}

// Null sorts below every other value; the rest follows VarCompareValue.
bool operator<(const Variant& A, const Variant& B)
{
  if (VarIsNull(A) || VarIsNull(B))
    return !VarIsNull(B);
  return VarCompareValue(A, B) == vrLessThan;
}

// ---- Type names and tests.

String VarTypeAsText(TVarType AVarType)
{
  static constexpr const wchar_t* kNames[] = {
      L"Empty", L"Null", L"Smallint", L"Integer", L"Single", L"Double", L"Currency", L"Date",
      L"OleStr", L"Dispatch", L"Error", L"Boolean", L"Variant", L"Unknown", L"Decimal", L"$000F",
      L"ShortInt", L"Byte", L"Word", L"LongWord", L"Int64", L"UInt64"};
  const TVarType base = AVarType & varTypeMask;
  String name;
  if (base < std::size(kNames)) {
    name = kNames[base];
  } else if (base == varString) {
    name = L"String";
  } else if (base == varUString) {
    name = L"UnicodeString";
  } else {
    name = L"$" + IntToHex(base, 4);
  }
  return (AVarType & varArray) ? L"Array " + name : name;
}

bool VarIsNull(const Variant& V) { return V.VarType() == varNull; }
bool VarIsEmpty(const Variant& V) { return V.VarType() == varEmpty; }
bool VarIsClear(const Variant& V) { return V.VarType() == varEmpty; }
bool VarIsArray(const Variant& V) { return (V.VarType() & varArray) != 0; }
bool VarIsStr(const Variant& V) { return IsTextType(V.VarType()); }
bool VarIsOrdinal(const Variant& V) { return IsIntegerType(V.VarType()) || V.VarType() == varBoolean; }

bool VarIsFloat(const Variant& V)
{
  return V.VarType() == varSingle || V.VarType() == varDouble || V.VarType() == varCurrency;
}

bool VarIsNumeric(const Variant& V) { return VarIsOrdinal(V) || VarIsFloat(V); }

String VarToStr(const Variant& V)
{
  return VarIsNull(V) ? String() : ToText(V, varUString);
}

String VarToStrDef(const Variant& V, const String& ADefault)
{
  return VarIsNull(V) ? ADefault : ToText(V, varUString);
}

String VarToWideStr(const Variant& V)
{
  return VarIsNull(V) ? String() : ToText(V, varOleStr);
}

TVariantRelationship VarCompareValue(const Variant& A, const Variant& B)
{
  const CompareKind a = KindOf(A), b = KindOf(B);
  if (a == CompareKind::Null || b == CompareKind::Null)
    return a == b ? vrEqual : vrNotEqual;
  if (a == CompareKind::Array || b == CompareKind::Array)
    Raise(SInvalidVarOp);
  if (a == CompareKind::Empty || b == CompareKind::Empty) {
    if (a == b)
      return vrEqual;
    // Empty is "" beside a text and 0 beside a number.
    const Variant& other = a == CompareKind::Empty ? B : A;
    const Variant zero = VarIsStr(other) ? Variant(String()) : Variant(0);
    return a == CompareKind::Empty ? VarCompareValue(zero, B) : VarCompareValue(A, zero);
  }
  if (a == CompareKind::Text && b == CompareKind::Text)
    return Relate(TextOf(A).compare(TextOf(B)), 0);
  if (a == CompareKind::Text)
    return RelateTextToNumber(A, B, b);
  if (b == CompareKind::Text)
    return Reverse(RelateTextToNumber(B, A, a));
  if (a == CompareKind::Ordinal && b == CompareKind::Ordinal)
    return RelateOrdinals(OrdinalOf(A), OrdinalOf(B));
  if (a == CompareKind::Currency && b == CompareKind::Currency)
    return Relate(A.AsCurrency(), B.AsCurrency());
  return Relate(ToDouble(A, varDouble), ToDouble(B, varDouble));
}

// ---- Arrays.

Variant VarArrayCreate(int ALowBound, int AHighBound, TVarType AVarType)
{
  if (!IsElementType(AVarType))
    Raise(SVarBadType);
  if (int64_t(AHighBound) < int64_t(ALowBound) - 1)
    Raise(SVarArrayCreate);
  auto data = std::make_unique<VarArrayData>();
  data->LowBound = ALowBound;
  data->ElementType = AVarType;
  const Variant initial = AVarType == varVariant ? Variant() : Variant().CastTo(AVarType);
  // Bounds may come from a file: a size the process cannot hold is this
  // routine's error, not an allocation failure somewhere else.
  // The widest bounds count 2^32 elements, which a 32-bit size_t would wrap to 0.
  const uint64_t count = uint64_t(int64_t(AHighBound) - ALowBound + 1);
  if (count > data->Items.max_size())
    Raise(SVarArrayCreate);
  try {
    data->Items.assign(size_t(count), initial);
  } catch (const std::bad_alloc&) {
    Raise(SVarArrayCreate);
  } catch (const std::length_error&) {
    Raise(SVarArrayCreate);
  }
  return VariantAccess::MakeArray(std::move(data));
}

Variant VarArrayOf(std::initializer_list<Variant> AValues)
{
  auto data = std::make_unique<VarArrayData>();
  data->Items.assign(AValues.begin(), AValues.end());
  return VariantAccess::MakeArray(std::move(data));
}

namespace {

VarArrayData& ArrayOf(const Variant& A)
{
  VarArrayData* data = VariantAccess::Array(A);
  if (!data)
    Raise(SVarNotArray);
  return *data;
}

void CheckDim(int ADim)
{
  if (ADim != 1)
    Raise(SVarArrayBounds);
}

size_t ItemIndex(const VarArrayData& AData, int AIndex)
{
  const int64_t offset = int64_t(AIndex) - AData.LowBound;
  if (offset < 0 || offset >= int64_t(AData.Items.size()))
    Raise(SVarArrayBounds);
  return size_t(offset);
}

}  // namespace

int VarArrayDimCount(const Variant& A)
{
  return VarIsArray(A) ? 1 : 0;
}

int VarArrayLowBound(const Variant& A, int ADim)
{
  const VarArrayData& data = ArrayOf(A);
  CheckDim(ADim);
  return data.LowBound;
}

int VarArrayHighBound(const Variant& A, int ADim)
{
  const VarArrayData& data = ArrayOf(A);
  CheckDim(ADim);
  return int(data.LowBound + int64_t(data.Items.size()) - 1);
}

Variant VarArrayGet(const Variant& A, int AIndex)
{
  const VarArrayData& data = ArrayOf(A);
  return data.Items[ItemIndex(data, AIndex)];
}

void VarArrayPut(Variant& A, const Variant& AValue, int AIndex)
{
  VarArrayData& data = ArrayOf(A);
  const size_t index = ItemIndex(data, AIndex);
  // Converted (and copied) first: the value may be this very array.
  Variant value = data.ElementType == varVariant ? AValue : AValue.CastTo(data.ElementType);
  data.Items[index] = std::move(value);
}

}  // namespace rtl
