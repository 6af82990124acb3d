// The core unit: the first of the library's units to start and the last to
// finish, and the small routines used throughout the library:
// - the operating-system flags and the culture-neutral format settings,
//   computed at the unit's start-up;
// - the units loader, which runs the start-up and finish steps other units
//   hand to it;
// - the resource-string repository with its products, and
//   dxLookupResourceString;
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
#include <vector>

#include "platform/rtl/System.h"
#include "platform/rtl/SystemEvents.h"
#include "platform/rtl/SystemResStrings.h"
#include "platform/rtl/SystemTypes.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/rtl/SysUtils.h"

namespace rtl {
class Variant;
}

// The library's own exception: message text only.
class EdxException : public rtl::Exception {
 public:
  using Exception::Exception;
  const wchar_t* ClassName() const override { return L"EdxException"; }
};

RTL_DECLARE_UNIT(dxCore);

// A Boolean that may also be left to a default decided elsewhere (a parent,
// the control, the image's own content).
RTL_ENUM(TdxDefaultBoolean, bFalse, bTrue, bDefault);

// ---------------------------------------------------------------------------
// Operating-system flags: set once by the core unit's start-up and read
// everywhere after; all False before it. 9x is platform id 1, NT 2.

extern bool dxOSIsWindows9x;
extern bool dxOSIsWindows95;
extern bool dxOSIsNTFamily;
extern bool dxOSIsWindows2000;
extern bool dxOSIsWindowsXP;
extern bool dxOSIsWindowsXPOrLater;
extern bool dxOSIsWindowsVistaOrLater;
extern bool dxOSIsWindows7;
extern bool dxOSIsWindows7OrLater;
extern bool dxOSIsWindows8OrLater;
// From the kernel's own version: the version reported to a program without a
// compatibility manifest stops at 6.2.
extern bool dxOSIsWindows10OrLater;
extern bool dxOSIsWindows10Build16299;
// The 32-bit process runs on a 64-bit system.
extern bool dxOSIsWow64;

// The version the platform reports to the program.
struct TdxOSVersion {
  DWORD PlatformId;
  DWORD MajorVersion;
  DWORD MinorVersion;
};

// The true version of the kernel layer.
struct TdxOSKernelVersion {
  DWORD MajorVersion;
  DWORD MinorVersion;
  DWORD BuildNumber;
};

// Fills AVersion and answers True when the true version is known.
using TdxGetOSKernelVersionFunc = bool (*)(TdxOSKernelVersion& AVersion);

// Sets the flags from a reported version. AGetKernelVersion is asked only
// when the reported version is Windows 8 or later; without an answer both
// Windows 10 flags stay False. The start-up passes the system's own values;
// tests pass theirs.
void dxSetOSVersionFlags(const TdxOSVersion& AVersion, TdxGetOSKernelVersionFunc AGetKernelVersion, bool AIsWow64);

// ---------------------------------------------------------------------------
// Culture-neutral format settings: those of dxGetCultureNeutralLocale,
// filled at the core unit's start-up (decimal point ".").

const rtl::TFormatSettings& dxCultureNeutralFormatSettings();

// ---------------------------------------------------------------------------
// Units loader

// True when the module holding the system is a dynamic library that is no
// package. The system is built as an executable, so this is False unless a
// test pretends otherwise with dxSetPlainLibraryModuleForTests.
bool dxIsPlainLibraryModule();
void dxSetPlainLibraryModuleForTests(bool AValue);

// A start-up or finish step.
using TdxUnitsLoaderProc = void (*)();

// Runs the start-up and finish steps units hand to it. In an executable (and
// a package) a start-up step runs at once; in a plain dynamic library the
// steps wait for the host to call Initialize. Whether start-up steps have
// run is kept by the unit, not the loader, so it outlives a loader.
class TdxUnitsLoader : public rtl::TObject {
  RTL_CLASS(TdxUnitsLoader, rtl::TObject)

 public:
  void Create() {}
  // Runs Finalize first.
  void Destroy() override;

  // Runs or queues AInitializeProc, then registers AFinalizeProc; either may
  // be nullptr. A start-up step that raises leaves its finish step out.
  void AddUnit(TdxUnitsLoaderProc AInitializeProc, TdxUnitsLoaderProc AFinalizeProc);
  // Removes the step's first registration and runs it when start-up steps
  // have run; a step not registered is ignored. A unit's finish calls this,
  // so its step runs while the unit is still intact, and only once.
  void RemoveUnit(TdxUnitsLoaderProc AFinalizeProc);
  // For the host of a plain dynamic library: runs the queued start-up steps
  // in registration order.
  void Initialize();
  // Runs the finish steps still registered, newest first, when start-up
  // steps have run; then forgets them.
  void Finalize();

  // Finish steps in order of registration.
  std::vector<TdxUnitsLoaderProc> FinalizeList;
  // Start-up steps queued in a plain dynamic library.
  std::vector<TdxUnitsLoaderProc> InitializeList;
};

// The process-wide loader, created on first call; the core unit's finish
// frees it.
TdxUnitsLoader* dxGetUnitsLoader();

// ---------------------------------------------------------------------------
// Resource strings and products
//
// Each text of the library is a string-table entry reached by its id. The
// strings are grouped into products, each registered by name with the
// repository together with the names of its strings, so that a localizer
// could list, read and replace them.

// The text of the string-table entry; every message and caption of the
// library is fetched through it.
rtl::String dxLookupResourceString(rtl::TResStringRec AResString);

// Told when translations change.
struct IdxLocalizerListener : rtl::IInterface {
  RTL_GUID(IdxLocalizerListener, "{6F1C0B9E-3D52-4A87-9E41-2C7B5D8A0F63}")
  virtual void __stdcall TranslationChanged() = 0;
};

class TdxProductResourceStrings;
// Fills a product: calls Add for each of its strings.
using TdxAddResourceStringsProcedure = void (*)(TdxProductResourceStrings* AProduct);
// A string's name and reference, for a localizer.
using TdxLocalizationTranslateResStringEvent = rtl::TMethod<void(const rtl::String& AResStringName, rtl::TResStringRec AResString)>;

class TdxProductResourceStrings : public rtl::TObject {
  RTL_CLASS(TdxProductResourceStrings, rtl::TObject)

 public:
  // Stores the name and adds AInitializeProc as AddProcedure does, which
  // runs it.
  virtual void Create(const rtl::String& AName, TdxAddResourceStringsProcedure AInitializeProc);

  // A name already present keeps its first reference.
  void Add(const rtl::String& AResStringName, rtl::TResStringRec AResStringAddr);
  void Clear();
  // Names are found ignoring case; -1 when absent.
  int GetIndexByName(const rtl::String& AName) const;
  // Positions follow the names' sorted order, ignoring case. Raise
  // EListError out of range.
  const rtl::String& GetNames(int AIndex) const;
  rtl::String GetValues(int AIndex) const;
  int ResStringsCount() const { return static_cast<int>(FResStringNames.size()); }
  const rtl::String& GetName() const { return FName; }

  // Appends the procedure and runs it with the product, unless it is
  // nullptr or already registered.
  void AddProcedure(TdxAddResourceStringsProcedure AProcedure);
  void RemoveProcedure(TdxAddResourceStringsProcedure AProcedure);

  // Hands every string, in sorted name order, to the repository's
  // OnTranslateResString.
  void Translate();
  void TranslateResString(int AIndex);

 private:
  friend class TdxResourceStringsRepository;

  struct TResStringName {
    rtl::String Name;
    rtl::TResStringRec Reference;
  };

  const TResStringName& CheckedItem(int AIndex) const;
  // The position of the first name not below AName, and whether it is AName.
  std::size_t Find(const rtl::String& AName, bool& AFound) const;

  rtl::String FName;
  std::vector<TdxAddResourceStringsProcedure> FInitializeProcedures;
  std::vector<TResStringName> FResStringNames;
};

class TdxResourceStringsRepository : public rtl::TObject {
  RTL_CLASS(TdxResourceStringsRepository, rtl::TObject)

 public:
  virtual void Create() {}
  // Frees the products, not the listeners.
  void Destroy() override;

  // Adds the procedure to the product of that name, or creates the product;
  // either way a new procedure runs at once.
  void RegisterProduct(const rtl::String& AProductName, TdxAddResourceStringsProcedure AAddStringsProc);
  // Removes the procedure from the product and deletes the product when
  // none is left; without a procedure, deletes the product at once.
  void UnRegisterProduct(const rtl::String& AProductName, TdxAddResourceStringsProcedure AAddStringsProc = nullptr);
  // Product names are compared exactly; -1 when absent.
  int GetProductIndexByName(const rtl::String& AName) const;
  // Raises EListError out of range.
  TdxProductResourceStrings* GetProducts(int AIndex) const;
  int ProductsCount() const { return static_cast<int>(FProducts.size()); }

  // The text of the first string of that name (ignoring case), searching the
  // products in registration order; empty when none has it.
  rtl::String GetOriginalValue(const rtl::String& AName) const;
  // Runs Translate of every product when OnTranslateResString is assigned.
  void Translate();

  // Listeners are held without counting references, each once.
  void AddListener(IdxLocalizerListener* AListener);
  void RemoveListener(IdxLocalizerListener* AListener);
  void NotifyListeners();

  const TdxLocalizationTranslateResStringEvent& GetOnTranslateResString() const { return FOnTranslateResString; }
  void SetOnTranslateResString(const TdxLocalizationTranslateResStringEvent& AValue) { FOnTranslateResString = AValue; }

 private:
  std::vector<IdxLocalizerListener*> FListeners;
  std::vector<TdxProductResourceStrings*> FProducts;
  TdxLocalizationTranslateResStringEvent FOnTranslateResString;
};

// The process-wide repository, created on first call; the core unit's
// finish frees it.
TdxResourceStringsRepository* dxGetResourceStringsRepository();

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
