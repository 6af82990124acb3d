// The core unit's small routines, used throughout the library:
// - text between code pages, and variants holding text or bytes;
// - character classes, culture-neutral number text, captions with
//   accelerator characters and locale settings;
// - byte order, memory, value and callback chores;
// - a lock-free pool of reusable string builders;
// - the CRC-32, lookup3 and shift-xor hashes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "platform/rtl/System.h"
#include "platform/rtl/SystemEvents.h"
#include "platform/rtl/SystemTypes.h"
#include "platform/rtl/SysUtils.h"

namespace rtl {
class Variant;
}

// ---------------------------------------------------------------------------
// Operating-system flags read by these routines. The core unit's start-up
// is to compute them; until it has, they describe the systems the program
// supports (NT family, XP or later). Tests set them to reach other branches.

extern bool dxOSIsNTFamily;
extern bool dxOSIsWindowsXPOrLater;

// ---------------------------------------------------------------------------
// Code pages: 0 is the system's ANSI code page, 65001 UTF-8.

// The bytes decoded from the code page; a conversion the system refuses (an
// unknown code page) gives the empty string.
rtl::String dxDecodeCodePageString(std::string_view ABytes, unsigned ACodePage);
// The text encoded in the code page, tagged with it; a character the code
// page lacks becomes its default character.
rtl::AnsiString dxEncodeCodePageString(std::wstring_view AText, unsigned ACodePage);
// A length-prefixed short string (length byte, then up to 255 bytes) decoded
// as UTF-8; nullptr gives the empty string.
rtl::String dxShortStringFromUTF8(const std::uint8_t* AShortString);

// ---------------------------------------------------------------------------
// Variants holding text or bytes

// A one-dimensional array gives one byte per element (the low byte of its
// value, so byte arrays copy exactly); an 8-bit string its own bytes and
// code page; anything else its text encoded in code page 0.
rtl::AnsiString dxVariantAsAnsiString(const rtl::Variant& V);
// A string variant's text; anything else dxVariantAsAnsiString decoded from
// code page 0.
rtl::String dxVariantAsUnicodeString(const rtl::Variant& AValue);
bool dxVariantIsTextOrByteArray(const rtl::Variant& V);

// ---------------------------------------------------------------------------
// Characters

// The CT_CTYPE1 bits of a character (C1_ALPHA, C1_DIGIT, ...); 0 when the
// system cannot classify it.
WORD dxGetCharType1(rtl::Char AChar);
bool dxCharIsAlpha(rtl::Char AChar);
bool dxIsAlphaChar(rtl::Char AChar);
bool dxCharIsDigit(rtl::Char AChar);
bool dxIsDigitChar(rtl::Char AChar);
bool dxCharIsLower(rtl::Char AChar);
// The character lowered by the system's single-character lower-casing.
rtl::Char dxCharToLower(rtl::Char AChar);
// True when AChar is one of the 8-bit characters listed in ASet; a character
// above 255 never is.
bool dxCharInSet(rtl::Char AChar, std::string_view ASet);

// ---------------------------------------------------------------------------
// Numbers with a fixed decimal separator (XML and SVG texts use ".")

// Raises EConvertError when the text is not a number; no thousand
// separators, currency or locale rules take part.
rtl::Extended dxStrToFloatWithSeparator(const rtl::String& AText, rtl::Char ADecimalSeparator);
// The general format of FloatToStr (15 significant digits).
rtl::String dxFloatToStrWithSeparator(rtl::Extended AValue, rtl::Char ADecimalSeparator);

// ---------------------------------------------------------------------------
// Captions

// The caption without its accelerator marks: each "&" is deleted and the
// character after it kept unexamined, so "&&" gives "&". When the deleted
// "&" was the last character and AReplaceTrailingByUnderscore is set, "_"
// takes its place ("Save&" gives "Save_").
rtl::String dxStripAmpersands(const rtl::String& ACaption, bool AReplaceTrailingByUnderscore = false);

// ---------------------------------------------------------------------------
// Byte order: image headers store their sizes big-endian.

std::uint16_t dxSwapWordBytes(std::uint16_t AValue);
std::uint32_t dxSwapLongBytes(std::uint32_t AValue);

// ---------------------------------------------------------------------------
// Memory, values and callbacks. Counts below 1 do nothing.

void dxZeroMemory(void* ADest, int ACount);
// A new zero-filled block, freed with dxFreeMem; raises EOutOfMemory.
void* dxAllocZeroedMem(int ASize);
void dxFreeMem(void* ABlock);
// Copies ACount bytes; the blocks may overlap.
void dxCopyMemory(const void* ASource, void* ADest, int ACount);

// Frees the object held in the variable and clears the variable (first, so
// nothing reached from the object's Destroy sees it).
template <class T>
void dxFreeAndNilRef(T*& AObject)
{
  rtl::FreeAndNil(AObject);
}

void dxExchangeIntegers(int& A, int& B);
template <class T>
void dxExchangePointers(T*& A, T*& B)
{
  T* temp = A;
  A = B;
  B = temp;
}

// Calls the event with the sender when it is assigned. Callers name the
// arguments in either order, so both are offered.
void dxCallNotifyEvent(const rtl::TNotifyEvent& AEvent, rtl::TObject* ASender);
void dxCallNotifyEvent(rtl::TObject* ASender, const rtl::TNotifyEvent& AEvent);

// Same code and same object, whatever the two callbacks' types.
template <class S1, class S2>
bool dxSameMethods(const rtl::TMethod<S1>& A, const rtl::TMethod<S2>& B)
{
  return A.Raw() == B.Raw();
}

// -1, 0 or 1.
int dxCompareInts(int A, int B);
// Equal lengths and equal ignoring case (SameText); the length test first is
// what makes it quick for the usual unequal names.
bool dxSameTextQuick(const rtl::String& S1, const rtl::String& S2);
bool dxByteBoolToBoolean(std::uint8_t AValue);
// X in the low 16 bits, Y in the high 16 bits, as mouse messages carry them.
LPARAM dxPointToLParam(const POINT& APoint);

// The library's internal consistency check; it costs nothing at run time.
inline void dxAssertCheck(bool /*ACondition*/, const rtl::String& /*AMessage*/) {}

// ---------------------------------------------------------------------------
// Locales

// The system's packing: sublanguage << 10 | primary; sort id << 16 | language.
WORD dxMakeLangID(WORD APrimaryLanguage, WORD ASubLanguage);
LCID dxMakeLCID(WORD ALanguageID, WORD ASortID);
// The invariant locale (0x7F) from XP on, else English (United States).
LCID dxGetCultureNeutralLocale();
// The run-time's format settings of the locale. A locale the system supports
// but has not installed is made the thread's locale while they are read.
rtl::TFormatSettings dxGetLocaleFormatSettings(LCID ALocale);
// The locale's text of one information type, without its terminating null;
// ADefault when the system has no such text.
rtl::String dxGetLocaleInfoString(LCID ALocale, LCTYPE AType, const rtl::String& ADefault);

// ---------------------------------------------------------------------------
// String builder pool: the SVG writer and parsers reuse up to four builders
// instead of creating one per call. Each slot is only ever read and replaced
// by one atomic exchange, so any thread may get and release builders without
// a lock and no builder is handed out twice.

class TdxStringBuilderManager {
 public:
  TdxStringBuilderManager() = delete;

  // A pooled builder, emptied and with at least ACapacity, or a new one.
  static rtl::TStringBuilder* Get(int ACapacity);
  // Pools ABuilder, or frees it when the pool is full; clears the variable.
  static void Release(rtl::TStringBuilder*& ABuilder);
  // Frees the pooled builders; run by the core unit's finish.
  static void Finalize();
};

// ---------------------------------------------------------------------------
// Hashes. Lengths below 1 hash the empty block.

// CRC-32 of ISO 3309 / ITU-T V.42 (the one of zip and PNG).
std::uint32_t dxCrc32(const void* ABuffer, int ALength);
// Bob Jenkins' lookup3 hash (hashlittle) of the block.
std::uint32_t dxHashBytes(const void* ABuffer, int ALength, std::uint32_t AInitialValue = 0);
// The XML document's quick name hash; see the definition.
std::uint32_t dxHashShiftXor(const void* ABuffer, int ALength);
