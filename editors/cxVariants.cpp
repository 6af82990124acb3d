#include "editors/cxVariants.h"

#include <cfloat>
#include <cstring>
#include <limits>

#include "platform/rtl/ClassesStreams.h"
#include "platform/rtl/SystemResStrings.h"

namespace {

using rtl::Variant;

// The data controller's stream messages.
constexpr rtl::TResStringRec cxSDataReadError{65109};
constexpr rtl::TResStringRec cxSDataWriteError{65110};

// Arrays nested deeper than this are refused both ways, so a damaged stream
// cannot recurse without end and whatever is written can be read back.
constexpr int kMaxArrayNesting = 64;

constexpr std::size_t kExtendedSize = 10;
static_assert(sizeof(rtl::Extended) >= kExtendedSize && LDBL_MANT_DIG == 64,
              "the stored form is the 80-bit extended type");

enum TcxVariantTag : std::uint8_t {
  vtNull = 0,
  vtArray = 1,
  vtInt8 = 2,
  vtInt16 = 3,
  vtInt32 = 4,
  vtDouble = 5,
  vtShortString = 6,
  vtFalse = 8,
  vtTrue = 9,
  vtLongString = 12,
  vtEmpty = 13,
  vtSingle = 15,
  vtCurrency = 16,
  vtDate = 17,
  vtWideString = 18,
  vtInt64 = 19,
};

[[noreturn]] void RaiseReadError()
{
  throw rtl::EReadError(rtl::LoadResString(cxSDataReadError));
}

[[noreturn]] void RaiseWriteError()
{
  throw rtl::EWriteError(rtl::LoadResString(cxSDataWriteError));
}

template <class T>
T ReadValue(rtl::TStream* AStream)
{
  T value{};
  AStream->ReadBuffer(&value, sizeof(T));
  return value;
}

template <class T>
void WriteValue(rtl::TStream* AStream, T AValue)
{
  AStream->WriteBuffer(&AValue, sizeof(T));
}

std::int64_t RemainingBytes(rtl::TStream* AStream)
{
  return AStream->GetSize() - AStream->GetPosition();
}

// A count read from the stream that names AUnitSize-byte units still to come.
int CheckedCount(rtl::TStream* AStream, std::int64_t ACount, int AUnitSize)
{
  if (ACount < 0 || ACount > std::numeric_limits<int>::max() || ACount > RemainingBytes(AStream) / AUnitSize)
    RaiseReadError();
  return static_cast<int>(ACount);
}

void WriteTaggedInteger(rtl::TStream* AStream, std::int64_t AValue)
{
  if (AValue >= INT8_MIN && AValue <= INT8_MAX) {
    WriteValue<std::uint8_t>(AStream, vtInt8);
    WriteValue(AStream, static_cast<std::int8_t>(AValue));
  } else if (AValue >= INT16_MIN && AValue <= INT16_MAX) {
    WriteValue<std::uint8_t>(AStream, vtInt16);
    WriteValue(AStream, static_cast<std::int16_t>(AValue));
  } else if (AValue >= INT32_MIN && AValue <= INT32_MAX) {
    WriteValue<std::uint8_t>(AStream, vtInt32);
    WriteValue(AStream, static_cast<std::int32_t>(AValue));
  } else {
    WriteValue<std::uint8_t>(AStream, vtInt64);
    WriteValue(AStream, AValue);
  }
}

void WriteTaggedAnsiString(rtl::TStream* AStream, const rtl::AnsiString& S)
{
  const int length = static_cast<int>(S.Size());
  if (length <= 255) {
    WriteValue<std::uint8_t>(AStream, vtShortString);
    WriteValue(AStream, static_cast<std::uint8_t>(length));
  } else {
    WriteValue<std::uint8_t>(AStream, vtLongString);
    WriteValue<std::int32_t>(AStream, length);
  }
  AStream->WriteBuffer(S.Data(), length);
}

rtl::AnsiString ReadAnsiBytes(rtl::TStream* AStream, std::int64_t ALength)
{
  std::string bytes(CheckedCount(AStream, ALength, 1), '\0');
  AStream->ReadBuffer(bytes.data(), static_cast<int>(bytes.size()));
  return rtl::AnsiString(std::move(bytes));
}

void WriteVariant(rtl::TStream* AStream, const Variant& V, int ANesting);

void WriteArray(rtl::TStream* AStream, const Variant& V, int ANesting)
{
  if (rtl::VarArrayDimCount(V) != 1 || ANesting >= kMaxArrayNesting)
    RaiseWriteError();
  const int lowBound = rtl::VarArrayLowBound(V, 1);
  const int highBound = rtl::VarArrayHighBound(V, 1);
  WriteValue<std::uint8_t>(AStream, vtArray);
  WriteTaggedInteger(AStream, static_cast<std::int64_t>(highBound) - lowBound + 1);
  for (int i = lowBound; i <= highBound; ++i)
    WriteVariant(AStream, rtl::VarArrayGet(V, i), ANesting + 1);
}

// The types the tagged form has no tag of travel as their 8-bit text.
void WriteAsText(rtl::TStream* AStream, const Variant& V)
{
  rtl::AnsiString text;
  try {
    text = V.AsAnsiString();
  } catch (const rtl::Exception&) {
    RaiseWriteError();
  }
  WriteTaggedAnsiString(AStream, text);
}

void WriteVariant(rtl::TStream* AStream, const Variant& V, int ANesting)
{
  if (rtl::VarIsArray(V)) {
    WriteArray(AStream, V, ANesting);
    return;
  }
  switch (V.VarType() & rtl::varTypeMask) {
    case rtl::varEmpty:
      WriteValue<std::uint8_t>(AStream, vtEmpty);
      break;
    case rtl::varNull:
      WriteValue<std::uint8_t>(AStream, vtNull);
      break;
    case rtl::varSmallint:
    case rtl::varInteger:
    case rtl::varShortInt:
    case rtl::varByte:
    case rtl::varWord:
    case rtl::varLongWord:
    case rtl::varInt64:
      WriteTaggedInteger(AStream, V.AsInt64());
      break;
    case rtl::varSingle:
      WriteValue<std::uint8_t>(AStream, vtSingle);
      WriteValue(AStream, static_cast<float>(V.AsDouble()));
      break;
    case rtl::varDouble:
      WriteValue<std::uint8_t>(AStream, vtDouble);
      cxWriteExtended(AStream, V.AsDouble());
      break;
    case rtl::varCurrency:
      WriteValue<std::uint8_t>(AStream, vtCurrency);
      WriteValue(AStream, V.AsCurrency().Raw());
      break;
    case rtl::varDate:
      WriteValue<std::uint8_t>(AStream, vtDate);
      WriteValue(AStream, V.AsDateTime());
      break;
    case rtl::varOleStr:
    case rtl::varUString:
      WriteValue<std::uint8_t>(AStream, vtWideString);
      cxWriteWideString(AStream, V.AsString());
      break;
    case rtl::varBoolean:
      WriteValue<std::uint8_t>(AStream, V.AsBoolean() ? vtTrue : vtFalse);
      break;
    case rtl::varString:
      WriteTaggedAnsiString(AStream, V.AsAnsiString());
      break;
    default:
      WriteAsText(AStream, V);
      break;
  }
}

void ReadVariant(rtl::TStream* AStream, Variant& V, int ANesting);

std::int64_t ReadArrayCount(rtl::TStream* AStream)
{
  switch (ReadValue<std::uint8_t>(AStream)) {
    case vtInt8:
      return ReadValue<std::int8_t>(AStream);
    case vtInt16:
      return ReadValue<std::int16_t>(AStream);
    case vtInt32:
      return ReadValue<std::int32_t>(AStream);
    default:
      return ReadValue<std::int64_t>(AStream);
  }
}

void ReadArray(rtl::TStream* AStream, Variant& V, int ANesting)
{
  if (ANesting >= kMaxArrayNesting)
    RaiseReadError();
  // Every element takes at least its tag byte.
  const int count = CheckedCount(AStream, ReadArrayCount(AStream), 1);
  Variant result = rtl::VarArrayCreate(0, count - 1, rtl::varVariant);
  for (int i = 0; i < count; ++i) {
    Variant element;
    ReadVariant(AStream, element, ANesting + 1);
    rtl::VarArrayPut(result, element, i);
  }
  V = std::move(result);
}

void ReadVariant(rtl::TStream* AStream, Variant& V, int ANesting)
{
  V = rtl::Null();
  switch (ReadValue<std::uint8_t>(AStream)) {
    case vtNull:
      break;
    case vtArray:
      ReadArray(AStream, V, ANesting);
      break;
    case vtInt8:
      V = Variant::FromShortInt(ReadValue<std::int8_t>(AStream));
      break;
    case vtInt16:
      V = Variant::FromSmallint(ReadValue<std::int16_t>(AStream));
      break;
    case vtInt32:
      V = Variant(ReadValue<std::int32_t>(AStream));
      break;
    case vtInt64:
      V = Variant(ReadValue<std::int64_t>(AStream));
      break;
    case vtDouble:
      V = Variant(static_cast<double>(cxReadExtended(AStream)));
      break;
    case vtShortString:
      V = Variant::FromAnsiString(ReadAnsiBytes(AStream, ReadValue<std::uint8_t>(AStream)));
      break;
    case vtLongString:
      V = Variant::FromAnsiString(ReadAnsiBytes(AStream, ReadValue<std::int32_t>(AStream)));
      break;
    case vtFalse:
      V = Variant(false);
      break;
    case vtTrue:
      V = Variant(true);
      break;
    case vtEmpty:
      V = rtl::Unassigned();
      break;
    case vtSingle:
      V = Variant::FromSingle(ReadValue<float>(AStream));
      break;
    case vtCurrency:
      V = Variant(rtl::Currency::FromRaw(ReadValue<std::int64_t>(AStream)));
      break;
    case vtDate:
      V = Variant::FromDate(ReadValue<rtl::TDateTime>(AStream));
      break;
    case vtWideString: {
      rtl::String text;
      cxReadWideString(AStream, text);
      V = Variant::FromOleStr(std::move(text));
      break;
    }
    default:
      RaiseReadError();
  }
}

bool IsBoolean(const Variant& V)
{
  return (V.VarType() & rtl::varTypeMask) == rtl::varBoolean;
}

int CompareArrays(const Variant& V1, const Variant& V2)
{
  const int highBound1 = rtl::VarArrayHighBound(V1, 1);
  const int highBound2 = rtl::VarArrayHighBound(V2, 1);
  if (highBound1 != highBound2)
    return highBound1 - highBound2;
  for (int i = 0; i <= highBound1; ++i) {
    const int result = cxVarCompare(rtl::VarArrayGet(V1, i), rtl::VarArrayGet(V2, i));
    if (result != 0)
      return result;
  }
  return 0;
}

int CompareScalars(const Variant& V1, const Variant& V2)
{
  if (rtl::VarIsEmpty(V1))
    return rtl::VarIsEmpty(V2) ? 0 : -1;
  if (rtl::VarIsEmpty(V2))
    return 1;
  try {
    if (V1 == V2)
      return 0;
    if (rtl::VarIsNull(V1))
      return -1;
    if (rtl::VarIsNull(V2))
      return 1;
    return V1 < V2 ? -1 : 1;
  } catch (const rtl::EVariantError&) {
    return -1;
  }
}

}  // namespace

int cxVarCompare(const Variant& V1, const Variant& V2)
{
  const bool isArray1 = rtl::VarIsArray(V1);
  const bool isArray2 = rtl::VarIsArray(V2);
  if (isArray1 && isArray2)
    return CompareArrays(V1, V2);
  if (isArray1)
    return 1;
  if (isArray2)
    return -1;
  return CompareScalars(V1, V2);
}

bool cxVarIsEqual(const Variant& V1, const Variant& V2)
{
  return cxVarCompare(V1, V2) == 0;
}

bool cxVarSameValue(const Variant& V1, const Variant& V2)
{
  if (!rtl::VarIsNull(V1) && !rtl::VarIsNull(V2) && (IsBoolean(V1) || IsBoolean(V2))) {
    try {
      return rtl::VarToWideStr(V1) == rtl::VarToWideStr(V2);
    } catch (const rtl::EVariantError&) {
      return false;
    }
  }
  return cxVarIsEqual(V1, V2);
}

bool cxIsDateTimeVarType(rtl::TVarType AVarType)
{
  return AVarType == rtl::varDate;
}

bool cxVarIsDateTime(const Variant& V)
{
  return cxIsDateTimeVarType(V.VarType() & rtl::varTypeMask);
}

bool cxVarIsNumeric(const Variant& V)
{
  return rtl::VarIsNumeric(V);
}

bool cxVarIsNullOrEmptyString(const Variant& V)
{
  return rtl::VarIsNull(V) || (rtl::VarIsStr(V) && V.AsString().empty());
}

void cxReadAnsiString(rtl::TStream* AStream, rtl::AnsiString& S)
{
  S = ReadAnsiBytes(AStream, ReadValue<std::int32_t>(AStream));
}

void cxWriteAnsiString(rtl::TStream* AStream, const rtl::AnsiString& S)
{
  WriteValue<std::int32_t>(AStream, static_cast<std::int32_t>(S.Size()));
  AStream->WriteBuffer(S.Data(), static_cast<int>(S.Size()));
}

void cxReadWideString(rtl::TStream* AStream, rtl::String& S)
{
  const int count = CheckedCount(AStream, ReadValue<std::int32_t>(AStream), sizeof(wchar_t));
  rtl::String text(count, L'\0');
  AStream->ReadBuffer(text.data(), count * static_cast<int>(sizeof(wchar_t)));
  S = std::move(text);
}

void cxWriteWideString(rtl::TStream* AStream, const rtl::String& S)
{
  const int count = static_cast<int>(S.size());
  WriteValue<std::int32_t>(AStream, count);
  AStream->WriteBuffer(S.data(), count * static_cast<int>(sizeof(wchar_t)));
}

void cxReadVariant(rtl::TStream* AStream, Variant& V)
{
  ReadVariant(AStream, V, 0);
}

void cxWriteVariant(rtl::TStream* AStream, const Variant& V)
{
  WriteVariant(AStream, V, 0);
}

std::uint8_t cxReadByte(rtl::TStream* AStream) { return ReadValue<std::uint8_t>(AStream); }
std::int16_t cxReadSmallInt(rtl::TStream* AStream) { return ReadValue<std::int16_t>(AStream); }
std::uint16_t cxReadWord(rtl::TStream* AStream) { return static_cast<std::uint16_t>(cxReadSmallInt(AStream)); }
std::int32_t cxReadInteger(rtl::TStream* AStream) { return ReadValue<std::int32_t>(AStream); }
float cxReadSingle(rtl::TStream* AStream) { return ReadValue<float>(AStream); }
std::int64_t cxReadInt64(rtl::TStream* AStream) { return ReadValue<std::int64_t>(AStream); }
rtl::Currency cxReadCurrency(rtl::TStream* AStream) { return rtl::Currency::FromRaw(cxReadInt64(AStream)); }
rtl::TDateTime cxReadDateTime(rtl::TStream* AStream) { return ReadValue<rtl::TDateTime>(AStream); }

rtl::Extended cxReadExtended(rtl::TStream* AStream)
{
  rtl::Extended value = 0;
  AStream->ReadBuffer(&value, kExtendedSize);
  return value;
}

void cxReadByte(rtl::TStream* AStream, std::uint8_t& AValue) { AValue = cxReadByte(AStream); }
void cxReadSmallInt(rtl::TStream* AStream, std::int16_t& AValue) { AValue = cxReadSmallInt(AStream); }
void cxReadWord(rtl::TStream* AStream, std::uint16_t& AValue) { AValue = cxReadWord(AStream); }
void cxReadInteger(rtl::TStream* AStream, std::int32_t& AValue) { AValue = cxReadInteger(AStream); }
void cxReadSingle(rtl::TStream* AStream, float& AValue) { AValue = cxReadSingle(AStream); }
void cxReadInt64(rtl::TStream* AStream, std::int64_t& AValue) { AValue = cxReadInt64(AStream); }
void cxReadCurrency(rtl::TStream* AStream, rtl::Currency& AValue) { AValue = cxReadCurrency(AStream); }
void cxReadDateTime(rtl::TStream* AStream, rtl::TDateTime& AValue) { AValue = cxReadDateTime(AStream); }
void cxReadExtended(rtl::TStream* AStream, rtl::Extended& AValue) { AValue = cxReadExtended(AStream); }

void cxWriteByte(rtl::TStream* AStream, std::uint8_t AValue) { WriteValue(AStream, AValue); }
void cxWriteSmallInt(rtl::TStream* AStream, std::int16_t AValue) { WriteValue(AStream, AValue); }
void cxWriteWord(rtl::TStream* AStream, std::uint16_t AValue) { cxWriteSmallInt(AStream, static_cast<std::int16_t>(AValue)); }
void cxWriteInteger(rtl::TStream* AStream, std::int32_t AValue) { WriteValue(AStream, AValue); }
void cxWriteSingle(rtl::TStream* AStream, float AValue) { WriteValue(AStream, AValue); }
void cxWriteInt64(rtl::TStream* AStream, std::int64_t AValue) { WriteValue(AStream, AValue); }
void cxWriteCurrency(rtl::TStream* AStream, rtl::Currency AValue) { WriteValue(AStream, AValue.Raw()); }
void cxWriteDateTime(rtl::TStream* AStream, rtl::TDateTime AValue) { WriteValue(AStream, AValue); }

void cxWriteExtended(rtl::TStream* AStream, rtl::Extended AValue)
{
  AStream->WriteBuffer(&AValue, kExtendedSize);
}
