#include "core/dxCore.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "core/dxCoreCultures.h"
#include "core/dxCoreStores.h"
#include "platform/rtl/Variants.h"

// ---------------------------------------------------------------------------
// Operating-system flags

constinit bool dxOSIsWindows9x = false;
constinit bool dxOSIsWindows95 = false;
constinit bool dxOSIsNTFamily = false;
constinit bool dxOSIsWindows2000 = false;
constinit bool dxOSIsWindowsXP = false;
constinit bool dxOSIsWindowsXPOrLater = false;
constinit bool dxOSIsWindowsVistaOrLater = false;
constinit bool dxOSIsWindows7 = false;
constinit bool dxOSIsWindows7OrLater = false;
constinit bool dxOSIsWindows8OrLater = false;
constinit bool dxOSIsWindows10OrLater = false;
constinit bool dxOSIsWindows10Build16299 = false;
constinit bool dxOSIsWow64 = false;

void dxSetOSVersionFlags(const TdxOSVersion& AVersion, TdxGetOSKernelVersionFunc AGetKernelVersion, bool AIsWow64)
{
  const bool nt = AVersion.PlatformId == VER_PLATFORM_WIN32_NT;
  const DWORD major = AVersion.MajorVersion;
  const DWORD minor = AVersion.MinorVersion;
  dxOSIsWindows9x = AVersion.PlatformId == VER_PLATFORM_WIN32_WINDOWS;
  dxOSIsWindows95 = dxOSIsWindows9x && minor == 0;
  dxOSIsNTFamily = nt;
  dxOSIsWindows2000 = nt && major == 5 && minor == 0;
  dxOSIsWindowsXP = nt && major == 5 && minor > 0;
  dxOSIsWindowsXPOrLater = nt && major >= 5 && !dxOSIsWindows2000;
  dxOSIsWindowsVistaOrLater = nt && major >= 6;
  dxOSIsWindows7 = nt && major == 6 && minor == 1;
  dxOSIsWindows7OrLater = dxOSIsWindowsVistaOrLater && !(major == 6 && minor == 0);
  dxOSIsWindows8OrLater = dxOSIsWindows7OrLater && !dxOSIsWindows7;
  TdxOSKernelVersion kernel{};
  const bool hasKernel = dxOSIsWindows8OrLater && AGetKernelVersion && AGetKernelVersion(kernel);
  dxOSIsWindows10OrLater = hasKernel && ((kernel.MajorVersion == 10 && kernel.MinorVersion == 0) || kernel.MajorVersion > 10);
  dxOSIsWindows10Build16299 = hasKernel && kernel.MajorVersion == 10 && kernel.MinorVersion == 0 && kernel.BuildNumber == 16299;
  dxOSIsWow64 = AIsWow64;
}

namespace {

// A handle of 32 or less is how the old loader functions reported failure;
// the check keeps counting those as failures.
bool IsLoadedLibrary(HMODULE AModule)
{
  return reinterpret_cast<UINT_PTR>(AModule) > 32;
}

// RtlGetVersion answers the kernel's own version, unaffected by the
// compatibility shims that cap the reported one.
bool GetSystemKernelVersion(TdxOSKernelVersion& AVersion)
{
  using TRtlGetVersion = LONG(WINAPI*)(OSVERSIONINFOEXW*);
  const HMODULE ntdll = LoadLibraryW(L"ntdll.dll");
  if (!IsLoadedLibrary(ntdll))
    return false;
  bool result = false;
  if (auto getVersion = reinterpret_cast<TRtlGetVersion>(GetProcAddress(ntdll, "RtlGetVersion"))) {
    static_assert(sizeof(OSVERSIONINFOEXW) == 284);
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (getVersion(&info) == 0) {
      AVersion = {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber};
      result = true;
    }
  }
  FreeLibrary(ntdll);
  return result;
}

bool IsWow64()
{
  using TIsWow64Process = BOOL(WINAPI*)(HANDLE, PBOOL);
  const auto isWow64Process =
      reinterpret_cast<TIsWow64Process>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsWow64Process"));
  BOOL result = FALSE;
  return isWow64Process && isWow64Process(GetCurrentProcess(), &result) && result;
}

TdxOSVersion GetReportedOSVersion()
{
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!GetVersionExW(&info))
    return {};
  return {info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion};
}

}  // namespace

// ---------------------------------------------------------------------------
// Culture-neutral format settings

namespace {

constinit rtl::TFormatSettings* CultureNeutralFormatSettings = nullptr;

}  // namespace

const rtl::TFormatSettings& dxCultureNeutralFormatSettings()
{
  // The start-up fills them; a caller that comes earlier (a test of a
  // single routine) gets them filled on demand.
  if (!CultureNeutralFormatSettings)
    CultureNeutralFormatSettings = new rtl::TFormatSettings(dxGetLocaleFormatSettings(dxGetCultureNeutralLocale()));
  return *CultureNeutralFormatSettings;
}

// ---------------------------------------------------------------------------
// Units loader

namespace {

constinit bool PlainLibraryModuleForTests = false;
// Whether start-up steps have run; it belongs to the unit, so a new loader
// finds the state the last one left.
constinit bool UnitsLoaderInitialized = false;
constinit TdxUnitsLoader* UnitsLoader = nullptr;

}  // namespace

bool dxIsPlainLibraryModule()
{
  return PlainLibraryModuleForTests || rtl::IsLibrary();
}

void dxSetPlainLibraryModuleForTests(bool AValue)
{
  PlainLibraryModuleForTests = AValue;
}

void TdxUnitsLoader::Destroy()
{
  Finalize();
  inherited::Destroy();
}

void TdxUnitsLoader::AddUnit(TdxUnitsLoaderProc AInitializeProc, TdxUnitsLoaderProc AFinalizeProc)
{
  if (AInitializeProc) {
    if (dxIsPlainLibraryModule())
      InitializeList.push_back(AInitializeProc);
    else {
      UnitsLoaderInitialized = true;
      AInitializeProc();
    }
  }
  if (AFinalizeProc)
    FinalizeList.push_back(AFinalizeProc);
}

void TdxUnitsLoader::RemoveUnit(TdxUnitsLoaderProc AFinalizeProc)
{
  const auto found = std::find(FinalizeList.begin(), FinalizeList.end(), AFinalizeProc);
  if (found == FinalizeList.end())
    return;
  FinalizeList.erase(found);
  if (UnitsLoaderInitialized)
    AFinalizeProc();
}

void TdxUnitsLoader::Initialize()
{
  for (std::size_t i = 0; i < InitializeList.size(); ++i)
    InitializeList[i]();
  InitializeList.clear();
  UnitsLoaderInitialized = true;
}

void TdxUnitsLoader::Finalize()
{
  if (UnitsLoaderInitialized) {
    // Each step leaves the list before it runs: a step that withdraws itself
    // or another one (RemoveUnit runs it) then finds only the steps still to
    // run, and none runs twice.
    while (!FinalizeList.empty()) {
      const TdxUnitsLoaderProc step = FinalizeList.back();
      FinalizeList.pop_back();
      step();
    }
  }
  UnitsLoaderInitialized = false;
  FinalizeList.clear();
}

TdxUnitsLoader* dxGetUnitsLoader()
{
  if (!UnitsLoader)
    UnitsLoader = rtl::New<TdxUnitsLoader>();
  return UnitsLoader;
}

// ---------------------------------------------------------------------------
// Resource strings and products

rtl::String dxLookupResourceString(rtl::TResStringRec AResString)
{
  return rtl::LoadResString(AResString);
}

namespace {

constinit TdxResourceStringsRepository* ResourceStringsRepository = nullptr;

[[noreturn]] void RaiseListIndexError(int AIndex)
{
  throw rtl::EListError(rtl::Format(L"List index out of bounds (%d)", {AIndex}));
}

}  // namespace

void TdxProductResourceStrings::Create(const rtl::String& AName, TdxAddResourceStringsProcedure AInitializeProc)
{
  FName = AName;
  AddProcedure(AInitializeProc);
}

std::size_t TdxProductResourceStrings::Find(const rtl::String& AName, bool& AFound) const
{
  // The platform's sorted string list without case: ordered and matched by
  // the user's locale, ignoring case.
  const auto position = std::lower_bound(FResStringNames.begin(), FResStringNames.end(), AName,
                                         [](const TResStringName& AItem, const rtl::String& AKey) {
                                           return rtl::AnsiCompareText(AItem.Name, AKey) < 0;
                                         });
  AFound = position != FResStringNames.end() && rtl::AnsiCompareText(position->Name, AName) == 0;
  return static_cast<std::size_t>(position - FResStringNames.begin());
}

void TdxProductResourceStrings::Add(const rtl::String& AResStringName, rtl::TResStringRec AResStringAddr)
{
  bool found = false;
  const std::size_t position = Find(AResStringName, found);
  if (!found)
    FResStringNames.insert(FResStringNames.begin() + static_cast<std::ptrdiff_t>(position), {AResStringName, AResStringAddr});
}

void TdxProductResourceStrings::Clear()
{
  FResStringNames.clear();
}

int TdxProductResourceStrings::GetIndexByName(const rtl::String& AName) const
{
  bool found = false;
  const std::size_t position = Find(AName, found);
  return found ? static_cast<int>(position) : -1;
}

const TdxProductResourceStrings::TResStringName& TdxProductResourceStrings::CheckedItem(int AIndex) const
{
  if (AIndex < 0 || AIndex >= ResStringsCount())
    RaiseListIndexError(AIndex);
  return FResStringNames[static_cast<std::size_t>(AIndex)];
}

const rtl::String& TdxProductResourceStrings::GetNames(int AIndex) const
{
  return CheckedItem(AIndex).Name;
}

rtl::String TdxProductResourceStrings::GetValues(int AIndex) const
{
  return dxLookupResourceString(CheckedItem(AIndex).Reference);
}

void TdxProductResourceStrings::AddProcedure(TdxAddResourceStringsProcedure AProcedure)
{
  if (!AProcedure || std::find(FInitializeProcedures.begin(), FInitializeProcedures.end(), AProcedure) != FInitializeProcedures.end())
    return;
  FInitializeProcedures.push_back(AProcedure);
  AProcedure(this);
}

void TdxProductResourceStrings::RemoveProcedure(TdxAddResourceStringsProcedure AProcedure)
{
  std::erase(FInitializeProcedures, AProcedure);
}

void TdxProductResourceStrings::Translate()
{
  for (int i = 0; i < ResStringsCount(); ++i)
    TranslateResString(i);
}

void TdxProductResourceStrings::TranslateResString(int AIndex)
{
  const TResStringName& item = CheckedItem(AIndex);
  // Without a handler there is nobody to tell.
  if (const auto& handler = dxGetResourceStringsRepository()->GetOnTranslateResString())
    handler(item.Name, item.Reference);
}

void TdxResourceStringsRepository::Destroy()
{
  for (TdxProductResourceStrings* product : FProducts)
    rtl::Free(product);
  FProducts.clear();
  FListeners.clear();
  inherited::Destroy();
}

void TdxResourceStringsRepository::RegisterProduct(const rtl::String& AProductName, TdxAddResourceStringsProcedure AAddStringsProc)
{
  const int index = GetProductIndexByName(AProductName);
  if (index >= 0) {
    FProducts[static_cast<std::size_t>(index)]->AddProcedure(AAddStringsProc);
    return;
  }
  // Room first, so that the new product cannot be lost on its way in.
  FProducts.reserve(FProducts.size() + 1);
  FProducts.push_back(rtl::New<TdxProductResourceStrings>(AProductName, AAddStringsProc));
}

void TdxResourceStringsRepository::UnRegisterProduct(const rtl::String& AProductName, TdxAddResourceStringsProcedure AAddStringsProc)
{
  const int index = GetProductIndexByName(AProductName);
  if (index < 0)
    return;
  TdxProductResourceStrings* product = FProducts[static_cast<std::size_t>(index)];
  if (AAddStringsProc) {
    product->RemoveProcedure(AAddStringsProc);
    if (!product->FInitializeProcedures.empty())
      return;
  }
  FProducts.erase(FProducts.begin() + index);
  rtl::Free(product);
}

int TdxResourceStringsRepository::GetProductIndexByName(const rtl::String& AName) const
{
  for (std::size_t i = 0; i < FProducts.size(); ++i)
    if (FProducts[i]->GetName() == AName)
      return static_cast<int>(i);
  return -1;
}

TdxProductResourceStrings* TdxResourceStringsRepository::GetProducts(int AIndex) const
{
  if (AIndex < 0 || AIndex >= ProductsCount())
    RaiseListIndexError(AIndex);
  return FProducts[static_cast<std::size_t>(AIndex)];
}

rtl::String TdxResourceStringsRepository::GetOriginalValue(const rtl::String& AName) const
{
  for (const TdxProductResourceStrings* product : FProducts) {
    const int index = product->GetIndexByName(AName);
    if (index >= 0)
      return product->GetValues(index);
  }
  return rtl::String();
}

void TdxResourceStringsRepository::Translate()
{
  if (!FOnTranslateResString)
    return;
  for (std::size_t i = 0; i < FProducts.size(); ++i)
    FProducts[i]->Translate();
}

void TdxResourceStringsRepository::AddListener(IdxLocalizerListener* AListener)
{
  if (std::find(FListeners.begin(), FListeners.end(), AListener) == FListeners.end())
    FListeners.push_back(AListener);
}

void TdxResourceStringsRepository::RemoveListener(IdxLocalizerListener* AListener)
{
  std::erase(FListeners, AListener);
}

void TdxResourceStringsRepository::NotifyListeners()
{
  // A listener may remove itself, or another, while it is told: the walk
  // covers those registered when it began, skipping any removed since, so
  // that a removal does not make it step over the next one.
  const std::vector<IdxLocalizerListener*> listeners = FListeners;
  for (IdxLocalizerListener* listener : listeners)
    if (std::find(FListeners.begin(), FListeners.end(), listener) != FListeners.end())
      listener->TranslationChanged();
}

TdxResourceStringsRepository* dxGetResourceStringsRepository()
{
  if (!ResourceStringsRepository)
    ResourceStringsRepository = rtl::New<TdxResourceStringsRepository>();
  return ResourceStringsRepository;
}

// ---------------------------------------------------------------------------
// Code pages

namespace {

void AppendUtf16(rtl::String& AText, std::uint32_t ACode)
{
  if (ACode < 0x10000) {
    AText.push_back(static_cast<rtl::Char>(ACode));
    return;
  }
  ACode -= 0x10000;
  AText.push_back(static_cast<rtl::Char>(0xD800 + (ACode >> 10)));
  AText.push_back(static_cast<rtl::Char>(0xDC00 + (ACode & 0x3FF)));
}

// The run-time's own UTF-8 codec, for systems outside the NT family, whose
// conversion functions lack code page 65001. Malformed input becomes U+FFFD,
// as the system's conversion makes it.
rtl::String Utf8Decode(std::string_view ABytes)
{
  rtl::String result;
  result.reserve(ABytes.size());
  std::size_t i = 0;
  while (i < ABytes.size()) {
    const auto lead = static_cast<std::uint8_t>(ABytes[i]);
    if (lead < 0x80) {
      result.push_back(lead);
      ++i;
      continue;
    }
    std::size_t trail;
    std::uint32_t code, smallest;
    if ((lead & 0xE0) == 0xC0) {
      trail = 1, code = lead & 0x1Fu, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      trail = 2, code = lead & 0x0Fu, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      trail = 3, code = lead & 0x07u, smallest = 0x10000;
    } else {
      result.push_back(0xFFFD);
      ++i;
      continue;
    }
    std::size_t next = i + 1;
    while (next < ABytes.size() && next <= i + trail && (static_cast<std::uint8_t>(ABytes[next]) & 0xC0) == 0x80)
      code = (code << 6) | (static_cast<std::uint8_t>(ABytes[next++]) & 0x3Fu);
    const bool complete = next == i + 1 + trail;
    if (!complete || code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
      result.push_back(0xFFFD);
    else
      AppendUtf16(result, code);
    i = next;
  }
  return result;
}

std::string Utf8Encode(std::wstring_view AText)
{
  std::string result;
  result.reserve(AText.size());
  for (std::size_t i = 0; i < AText.size(); ++i) {
    std::uint32_t code = AText[i];
    if (code >= 0xD800 && code <= 0xDFFF) {
      const bool pair = code <= 0xDBFF && i + 1 < AText.size() && AText[i + 1] >= 0xDC00 && AText[i + 1] <= 0xDFFF;
      code = pair ? 0x10000 + ((code - 0xD800) << 10) + (AText[++i] - 0xDC00u) : 0xFFFD;
    }
    if (code < 0x80) {
      result.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
      result.push_back(static_cast<char>(0xC0 | (code >> 6)));
      result.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
      result.push_back(static_cast<char>(0xE0 | (code >> 12)));
      result.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      result.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
      result.push_back(static_cast<char>(0xF0 | (code >> 18)));
      result.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
      result.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      result.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
  }
  return result;
}

}  // namespace

rtl::String dxDecodeCodePageString(std::string_view ABytes, unsigned ACodePage)
{
  if (ABytes.empty())
    return rtl::String();
  if (!dxOSIsNTFamily && ACodePage == CP_UTF8)
    return Utf8Decode(ABytes);
  const int length = static_cast<int>(ABytes.size());
  const int size = MultiByteToWideChar(ACodePage, 0, ABytes.data(), length, nullptr, 0);
  if (size == 0)
    return rtl::String();
  rtl::String result(static_cast<std::size_t>(size), L'\0');
  const DWORD flags = ACodePage == CP_UTF8 ? 0 : MB_PRECOMPOSED;
  int written = MultiByteToWideChar(ACodePage, flags, ABytes.data(), length, result.data(), size);
  // Some code pages (UTF-7 and the symbol code page among them) refuse every
  // flag; converting without it beats losing the text.
  if (written == 0 && flags != 0)
    written = MultiByteToWideChar(ACodePage, 0, ABytes.data(), length, result.data(), size);
  result.resize(static_cast<std::size_t>(written));
  return result;
}

rtl::AnsiString dxEncodeCodePageString(std::wstring_view AText, unsigned ACodePage)
{
  if (AText.empty())
    return rtl::AnsiString(std::string(), ACodePage);
  if (!dxOSIsNTFamily && ACodePage == CP_UTF8)
    return rtl::AnsiString(Utf8Encode(AText), ACodePage);
  // Flags 0 and no default-character arguments: UTF-8 and several other code
  // pages refuse anything else.
  const int length = static_cast<int>(AText.size());
  const int size = WideCharToMultiByte(ACodePage, 0, AText.data(), length, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (size != 0) {
    const int written = WideCharToMultiByte(ACodePage, 0, AText.data(), length, bytes.data(), size, nullptr, nullptr);
    bytes.resize(static_cast<std::size_t>(written));
  }
  return rtl::AnsiString(std::move(bytes), ACodePage);
}

rtl::String dxShortStringFromUTF8(const std::uint8_t* AShortString)
{
  if (AShortString == nullptr)
    return rtl::String();
  return dxDecodeCodePageString(std::string_view(reinterpret_cast<const char*>(AShortString + 1), AShortString[0]),
                                CP_UTF8);
}

// ---------------------------------------------------------------------------
// Variants holding text or bytes

namespace {

bool IsOneDimensionalArray(const rtl::Variant& V)
{
  return rtl::VarIsArray(V) && rtl::VarArrayDimCount(V) == 1;
}

}  // namespace

rtl::AnsiString dxVariantAsAnsiString(const rtl::Variant& V)
{
  if (IsOneDimensionalArray(V)) {
    // The framework copies the array's memory, which is only meaningful for
    // byte arrays; taking each element's value gives the same bytes there
    // and the intended ones for arrays of variants holding bytes.
    const int low = rtl::VarArrayLowBound(V, 1);
    const int high = rtl::VarArrayHighBound(V, 1);
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(high - low + 1));
    for (int i = low; i <= high; ++i)
      bytes.push_back(static_cast<char>(rtl::VarArrayGet(V, i).AsInteger()));
    return rtl::AnsiString(std::move(bytes));
  }
  if (V.VarType() == rtl::varString)
    return V.AsAnsiString();
  return dxEncodeCodePageString(V.AsString(), 0);
}

rtl::String dxVariantAsUnicodeString(const rtl::Variant& AValue)
{
  if (rtl::VarIsStr(AValue))
    return AValue.AsString();
  return dxDecodeCodePageString(dxVariantAsAnsiString(AValue).Bytes(), 0);
}

bool dxVariantIsTextOrByteArray(const rtl::Variant& V)
{
  return rtl::VarIsStr(V) || IsOneDimensionalArray(V);
}

// ---------------------------------------------------------------------------
// Characters

WORD dxGetCharType1(rtl::Char AChar)
{
  WORD type = 0;
  if (!GetStringTypeW(CT_CTYPE1, &AChar, 1, &type))
    return 0;
  return type;
}

bool dxCharIsAlpha(rtl::Char AChar)
{
  return (dxGetCharType1(AChar) & C1_ALPHA) != 0;
}

bool dxIsAlphaChar(rtl::Char AChar)
{
  return dxCharIsAlpha(AChar);
}

bool dxCharIsDigit(rtl::Char AChar)
{
  return (dxGetCharType1(AChar) & C1_DIGIT) != 0;
}

bool dxIsDigitChar(rtl::Char AChar)
{
  return dxCharIsDigit(AChar);
}

bool dxCharIsLower(rtl::Char AChar)
{
  // A lower-case letter; the system's tables give the Unicode category.
  const WORD type = dxGetCharType1(AChar);
  return (type & C1_LOWER) != 0 && (type & C1_ALPHA) != 0;
}

rtl::Char dxCharToLower(rtl::Char AChar)
{
  // CharLowerW treats an argument whose high word is zero as one character
  // and returns the lowered character in the low word.
  const auto lowered = reinterpret_cast<ULONG_PTR>(CharLowerW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(AChar))));
  return static_cast<rtl::Char>(lowered & 0xFFFF);
}

bool dxCharInSet(rtl::Char AChar, std::string_view ASet)
{
  return rtl::CharInSet(AChar, ASet);
}

// ---------------------------------------------------------------------------
// Numbers with a fixed decimal separator

namespace {

// Everything zero or empty but the decimal separator, so that nothing of the
// user's locale takes part.
rtl::TFormatSettings SeparatorOnlySettings(rtl::Char ADecimalSeparator)
{
  rtl::TFormatSettings settings;
  settings.DecimalSeparator = ADecimalSeparator;
  return settings;
}

}  // namespace

rtl::Extended dxStrToFloatWithSeparator(const rtl::String& AText, rtl::Char ADecimalSeparator)
{
  return rtl::StrToFloat(AText, SeparatorOnlySettings(ADecimalSeparator));
}

rtl::String dxFloatToStrWithSeparator(rtl::Extended AValue, rtl::Char ADecimalSeparator)
{
  return rtl::FloatToStr(AValue, SeparatorOnlySettings(ADecimalSeparator));
}

// ---------------------------------------------------------------------------
// Captions

rtl::String dxStripAmpersands(const rtl::String& ACaption, bool AReplaceTrailingByUnderscore)
{
  rtl::String result = ACaption;
  // Every position is advanced past once, so the character that moved into
  // a deleted "&"'s place is kept without being looked at.
  for (std::size_t i = 0; i < result.size(); ++i) {
    if (result[i] != L'&')
      continue;
    result.erase(i, 1);
    if (i == result.size() && AReplaceTrailingByUnderscore)
      result.push_back(L'_');
  }
  return result;
}

// ---------------------------------------------------------------------------
// Byte order

std::uint16_t dxSwapWordBytes(std::uint16_t AValue)
{
  return static_cast<std::uint16_t>((AValue >> 8) | (AValue << 8));
}

std::uint32_t dxSwapLongBytes(std::uint32_t AValue)
{
  return (AValue >> 24) | ((AValue >> 8) & 0xFF00u) | ((AValue << 8) & 0xFF0000u) | (AValue << 24);
}

// ---------------------------------------------------------------------------
// Memory, values and callbacks

void dxZeroMemory(void* ADest, int ACount)
{
  if (ACount > 0)
    std::memset(ADest, 0, static_cast<std::size_t>(ACount));
}

void* dxAllocZeroedMem(int ASize)
{
  if (ASize < 1)
    return nullptr;
  void* block = std::calloc(1, static_cast<std::size_t>(ASize));
  if (!block)
    throw rtl::EOutOfMemory(L"Out of memory");
  return block;
}

void dxFreeMem(void* ABlock)
{
  std::free(ABlock);
}

void dxCopyMemory(const void* ASource, void* ADest, int ACount)
{
  if (ACount > 0)
    std::memmove(ADest, ASource, static_cast<std::size_t>(ACount));
}

void dxExchangeIntegers(int& A, int& B)
{
  const int temp = A;
  A = B;
  B = temp;
}

void dxCallNotifyEvent(const rtl::TNotifyEvent& AEvent, rtl::TObject* ASender)
{
  if (AEvent)
    AEvent(ASender);
}

void dxCallNotifyEvent(rtl::TObject* ASender, const rtl::TNotifyEvent& AEvent)
{
  dxCallNotifyEvent(AEvent, ASender);
}

int dxCompareInts(int A, int B)
{
  return (A > B) - (A < B);
}

bool dxSameTextQuick(const rtl::String& S1, const rtl::String& S2)
{
  return S1.size() == S2.size() && rtl::SameText(S1, S2);
}

bool dxByteBoolToBoolean(std::uint8_t AValue)
{
  return AValue != 0;
}

LPARAM dxPointToLParam(const POINT& APoint)
{
  return MAKELPARAM(static_cast<WORD>(APoint.x), static_cast<WORD>(APoint.y));
}

// ---------------------------------------------------------------------------
// Locales

WORD dxMakeLangID(WORD APrimaryLanguage, WORD ASubLanguage)
{
  return static_cast<WORD>((ASubLanguage << 10) | APrimaryLanguage);
}

LCID dxMakeLCID(WORD ALanguageID, WORD ASortID)
{
  return (static_cast<LCID>(ASortID) << 16) | ALanguageID;
}

LCID dxGetCultureNeutralLocale()
{
  return dxOSIsWindowsXPOrLater ? LOCALE_INVARIANT : dxMakeLCID(dxMakeLangID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);
}

rtl::TFormatSettings dxGetLocaleFormatSettings(LCID ALocale)
{
  if (IsValidLocale(ALocale, LCID_INSTALLED) || !IsValidLocale(ALocale, LCID_SUPPORTED))
    return rtl::TFormatSettings::Create(ALocale);
  // Such a locale is read as the thread's locale; the thread gets its own
  // back afterwards, also when reading fails.
  const LCID saved = GetThreadLocale();
  SetThreadLocale(ALocale);
  rtl::Finally restore([saved] { SetThreadLocale(saved); });
  return rtl::TFormatSettings::Create(ALocale);
}

rtl::String dxGetLocaleInfoString(LCID ALocale, LCTYPE AType, const rtl::String& ADefault)
{
  const int size = GetLocaleInfoW(ALocale, AType, nullptr, 0);
  if (size == 0)
    return ADefault;
  rtl::String result(static_cast<std::size_t>(size), L'\0');
  const int written = GetLocaleInfoW(ALocale, AType, result.data(), size);
  // The settings may change between the two calls; a text that no longer
  // fits counts as missing rather than as a cut-off value.
  if (written == 0)
    return ADefault;
  result.resize(static_cast<std::size_t>(written - 1));
  return result;
}

// ---------------------------------------------------------------------------
// String builder pool

namespace {

constexpr int PoolSize = 4;

// Constant-initialised: the pool works before and after the units' start-up.
constinit std::array<std::atomic<rtl::TStringBuilder*>, PoolSize> StringBuilderSlots{};

}  // namespace

rtl::TStringBuilder* TdxStringBuilderManager::Get(int ACapacity)
{
  for (auto& slot : StringBuilderSlots) {
    if (rtl::TStringBuilder* builder = slot.exchange(nullptr)) {
      if (builder->GetCapacity() < ACapacity)
        builder->SetCapacity(ACapacity);
      builder->SetLength(0);
      return builder;
    }
  }
  return new rtl::TStringBuilder(ACapacity);
}

void TdxStringBuilderManager::Release(rtl::TStringBuilder*& ABuilder)
{
  rtl::TStringBuilder* carried = ABuilder;
  ABuilder = nullptr;
  // A slot that was filled meanwhile hands back its builder, which then
  // tries the later slots; what is left after the last one is surplus.
  for (auto& slot : StringBuilderSlots) {
    if (!carried)
      break;
    carried = slot.exchange(carried);
  }
  delete carried;
}

void TdxStringBuilderManager::Finalize()
{
  for (auto& slot : StringBuilderSlots)
    delete slot.exchange(nullptr);
}

// ---------------------------------------------------------------------------
// Hashes

namespace {

constexpr std::array<std::uint32_t, 256> MakeCrc32Table()
{
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k)
      c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

constexpr std::array<std::uint32_t, 256> Crc32Table = MakeCrc32Table();

constexpr std::uint32_t Rotate(std::uint32_t x, int k)
{
  return (x << k) | (x >> (32 - k));
}

// lookup3's reversible mixing of three 32-bit words.
void Mix(std::uint32_t& a, std::uint32_t& b, std::uint32_t& c)
{
  a -= c; a ^= Rotate(c, 4);  c += b;
  b -= a; b ^= Rotate(a, 6);  a += c;
  c -= b; c ^= Rotate(b, 8);  b += a;
  a -= c; a ^= Rotate(c, 16); c += b;
  b -= a; b ^= Rotate(a, 19); a += c;
  c -= b; c ^= Rotate(b, 4);  b += a;
}

// lookup3's final avalanche of three words into c.
void FinalMix(std::uint32_t& a, std::uint32_t& b, std::uint32_t& c)
{
  c ^= b; c -= Rotate(b, 14);
  a ^= c; a -= Rotate(c, 11);
  b ^= a; b -= Rotate(a, 25);
  c ^= b; c -= Rotate(b, 16);
  a ^= c; a -= Rotate(c, 4);
  b ^= a; b -= Rotate(a, 14);
  c ^= b; c -= Rotate(b, 24);
}

// Up to four bytes as a little-endian word, missing high bytes zero.
std::uint32_t LittleEndianWord(const std::uint8_t* p, int count)
{
  std::uint32_t word = 0;
  for (int i = 0; i < count; ++i)
    word |= static_cast<std::uint32_t>(p[i]) << (8 * i);
  return word;
}

}  // namespace

std::uint32_t dxCrc32(const void* ABuffer, int ALength)
{
  const auto* p = static_cast<const std::uint8_t*>(ABuffer);
  std::uint32_t crc = 0xFFFFFFFFu;
  for (int i = 0; i < ALength; ++i)
    crc = Crc32Table[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

std::uint32_t dxHashBytes(const void* ABuffer, int ALength, std::uint32_t AInitialValue)
{
  const auto* p = static_cast<const std::uint8_t*>(ABuffer);
  int length = ALength > 0 ? ALength : 0;
  std::uint32_t a = 0xDEADBEEFu + static_cast<std::uint32_t>(length) + AInitialValue;
  std::uint32_t b = a;
  std::uint32_t c = a;
  while (length > 12) {
    a += LittleEndianWord(p, 4);
    b += LittleEndianWord(p + 4, 4);
    c += LittleEndianWord(p + 8, 4);
    Mix(a, b, c);
    p += 12;
    length -= 12;
  }
  // The last 1 to 12 bytes; an empty block skips the final mix.
  if (length == 0)
    return c;
  a += LittleEndianWord(p, std::min(length, 4));
  if (length > 4)
    b += LittleEndianWord(p + 4, std::min(length - 4, 4));
  if (length > 8)
    c += LittleEndianWord(p + 8, length - 8);
  FinalMix(a, b, c);
  return c;
}

std::uint32_t dxHashShiftXor(const void* ABuffer, int ALength)
{
  const auto* p = static_cast<const std::uint8_t*>(ABuffer);
  const int length = ALength > 0 ? ALength : 0;
  std::uint32_t h = static_cast<std::uint32_t>(length);
  for (int i = 0; i < length; ++i)
    h = (h << 7) ^ p[i];
  h -= h >> 17;
  h -= h >> 11;
  h -= h >> 5;
  return h;
}

// ---------------------------------------------------------------------------
// The unit's start-up and finish

namespace {

void dxCoreInitialization()
{
  dxSetOSVersionFlags(GetReportedOSVersion(), &GetSystemKernelVersion, IsWow64());
  // Filled anew: the flags just set choose the locale.
  delete std::exchange(CultureNeutralFormatSettings, nullptr);
  dxCultureNeutralFormatSettings();
  dxCultureNamesInitialize();
}

void dxCoreFinalization()
{
  rtl::FreeAndNil(ResourceStringsRepository);
  // A library's host must run the finish steps while the units they belong
  // to can still serve them.
  if (dxIsPlainLibraryModule() && UnitsLoader && !UnitsLoader->FinalizeList.empty())
    throw rtl::Exception(L"Need call dxFinalize before free library!");
  rtl::FreeAndNil(UnitsLoader);
  delete std::exchange(CultureNeutralFormatSettings, nullptr);
  TdxStringBuilderManager::Finalize();
  dxCultureNamesFinalize();
  dxCoreStoresFinalize();
}

}  // namespace

RTL_UNIT(dxCore, &dxCoreInitialization, &dxCoreFinalization);
