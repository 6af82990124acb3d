// Routines on variants shared by the editors and the value types: a total
// order of variants (Empty and Null below everything, arrays above scalars),
// the equality tests built on it, type tests, and a compact tagged binary
// form of a variant with length-prefixed strings and fixed-size numbers.
//
// The tagged form: one tag byte, then the payload, little-endian.
//   0 Null; 13 Empty; 8 / 9 Boolean False / True;
//   2 / 3 / 4 / 19 an integer in 1 / 2 / 4 / 8 bytes (the smallest that holds it);
//   5 a double as an 80-bit extended; 15 single; 16 currency (raw count);
//   17 date (double); 6 / 12 an 8-bit string with a 1-byte / Int32 length;
//   18 a UTF-16 string with an Int32 character count;
//   1 a one-dimensional array: its count as a tagged integer, then each
//     element as a tagged variant.
#pragma once

#include <cstdint>

#include "platform/rtl/SystemTypes.h"
#include "platform/rtl/Variants.h"

namespace rtl {
class TStream;
}

// Below 0, 0 or above 0. Arrays come after scalars and compare by their high
// bound (the difference), then element by element; among scalars Empty comes
// first, then Null, then the platform's ordering. Values the platform cannot
// compare order as -1.
int cxVarCompare(const rtl::Variant& V1, const rtl::Variant& V2);
bool cxVarIsEqual(const rtl::Variant& V1, const rtl::Variant& V2);
// cxVarIsEqual, except that a Boolean beside a non-Null value compares as
// text, so True matches "True".
bool cxVarSameValue(const rtl::Variant& V1, const rtl::Variant& V2);

bool cxIsDateTimeVarType(rtl::TVarType AVarType);
bool cxVarIsDateTime(const rtl::Variant& V);
bool cxVarIsNumeric(const rtl::Variant& V);
bool cxVarIsNullOrEmptyString(const rtl::Variant& V);

// Length-prefixed strings: an Int32 byte count (8-bit) or character count
// (UTF-16), then the data. The readers raise EReadError when the count is
// negative or more than the stream still holds.
void cxReadAnsiString(rtl::TStream* AStream, rtl::AnsiString& S);
void cxWriteAnsiString(rtl::TStream* AStream, const rtl::AnsiString& S);
void cxReadWideString(rtl::TStream* AStream, rtl::String& S);
void cxWriteWideString(rtl::TStream* AStream, const rtl::String& S);

// The tagged form. The reader trusts nothing it reads: an unknown tag, a
// count or length beyond what the stream still holds, or arrays nested
// deeper than any writer makes raise EReadError. Writing an array of more
// than one dimension raises EWriteError.
void cxReadVariant(rtl::TStream* AStream, rtl::Variant& V);
void cxWriteVariant(rtl::TStream* AStream, const rtl::Variant& V);

// Fixed-size values, each exactly its size in bytes; a short stream raises
// EReadError. Word goes through the SmallInt form; Extended is 10 bytes.
std::uint8_t cxReadByte(rtl::TStream* AStream);
std::int16_t cxReadSmallInt(rtl::TStream* AStream);
std::uint16_t cxReadWord(rtl::TStream* AStream);
std::int32_t cxReadInteger(rtl::TStream* AStream);
float cxReadSingle(rtl::TStream* AStream);
std::int64_t cxReadInt64(rtl::TStream* AStream);
rtl::Currency cxReadCurrency(rtl::TStream* AStream);
rtl::TDateTime cxReadDateTime(rtl::TStream* AStream);
rtl::Extended cxReadExtended(rtl::TStream* AStream);

void cxReadByte(rtl::TStream* AStream, std::uint8_t& AValue);
void cxReadSmallInt(rtl::TStream* AStream, std::int16_t& AValue);
void cxReadWord(rtl::TStream* AStream, std::uint16_t& AValue);
void cxReadInteger(rtl::TStream* AStream, std::int32_t& AValue);
void cxReadSingle(rtl::TStream* AStream, float& AValue);
void cxReadInt64(rtl::TStream* AStream, std::int64_t& AValue);
void cxReadCurrency(rtl::TStream* AStream, rtl::Currency& AValue);
void cxReadDateTime(rtl::TStream* AStream, rtl::TDateTime& AValue);
void cxReadExtended(rtl::TStream* AStream, rtl::Extended& AValue);

void cxWriteByte(rtl::TStream* AStream, std::uint8_t AValue);
void cxWriteSmallInt(rtl::TStream* AStream, std::int16_t AValue);
void cxWriteWord(rtl::TStream* AStream, std::uint16_t AValue);
void cxWriteInteger(rtl::TStream* AStream, std::int32_t AValue);
void cxWriteSingle(rtl::TStream* AStream, float AValue);
void cxWriteInt64(rtl::TStream* AStream, std::int64_t AValue);
void cxWriteCurrency(rtl::TStream* AStream, rtl::Currency AValue);
void cxWriteDateTime(rtl::TStream* AStream, rtl::TDateTime AValue);
void cxWriteExtended(rtl::TStream* AStream, rtl::Extended AValue);
