#include "platform/rtl/Registry.h"

#include <cstdint>
#include <cstring>
#include <utility>

#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

namespace rtl {

namespace {

// The longest key name and value name the registry allows, plus the null.
constexpr DWORD MaxKeyNameLength = 256;
constexpr DWORD MaxValueNameLength = 16384;

[[noreturn]] void RaiseGetDataFailed(const String& AName)
{
  throw ERegistryException(Format(L"Failed to get data for '%s'", {AName}));
}

[[noreturn]] void RaiseSetDataFailed(const String& AName)
{
  throw ERegistryException(Format(L"Failed to set data for '%s'", {AName}));
}

[[noreturn]] void RaiseInvalidType(const String& AName)
{
  throw ERegistryException(Format(L"Invalid data type for '%s'", {AName}));
}

TRegDataType RegDataOf(DWORD AType)
{
  switch (AType) {
    case REG_SZ:
      return rdString;
    case REG_EXPAND_SZ:
      return rdExpandString;
    case REG_DWORD:
      return rdInteger;
    case REG_BINARY:
      return rdBinary;
    default:
      return rdUnknown;
  }
}

bool IsAbsolute(const String& AKey)
{
  return !AKey.empty() && AKey.front() == L'\\';
}

// The path to hand to the registry: without the leading "\" of an absolute
// path and without trailing ones. Callers build section paths that end in
// "\" ("\Software\P\" names the key P); a key name cannot hold a
// backslash, so that form can only mean the key itself, and not every
// registry function accepts it.
String KeyPath(const String& AKey)
{
  const std::size_t first = IsAbsolute(AKey) ? 1 : 0;
  std::size_t last = AKey.size();
  while (last > first && AKey[last - 1] == L'\\')
    --last;
  return AKey.substr(first, last - first);
}

// The value operations work on any open key, so that the settings file can
// run them on a section's key without disturbing the registry's current key.

bool DataInfoOf(HKEY AKey, const String& AName, TRegDataInfo& AValue)
{
  DWORD type = REG_NONE, size = 0;
  AValue = {};
  if (!AKey || RegQueryValueExW(AKey, AName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return false;
  AValue.RegData = RegDataOf(type);
  AValue.DataSize = static_cast<int>(size);
  return true;
}

// Reads at most ABufSize bytes; a value that does not fit fails, as
// RegQueryValueEx does with ERROR_MORE_DATA.
int GetData(HKEY AKey, const String& AName, void* ABuffer, int ABufSize, TRegDataType& ARegData)
{
  DWORD type = REG_NONE, size = static_cast<DWORD>(ABufSize);
  if (!AKey || RegQueryValueExW(AKey, AName.c_str(), nullptr, &type, static_cast<BYTE*>(ABuffer), &size) !=
                   ERROR_SUCCESS)
    RaiseGetDataFailed(AName);
  ARegData = RegDataOf(type);
  return static_cast<int>(size);
}

void PutData(HKEY AKey, const String& AName, const void* ABuffer, int ABufSize, DWORD AType)
{
  if (!AKey || RegSetValueExW(AKey, AName.c_str(), 0, AType, static_cast<const BYTE*>(ABuffer),
                              static_cast<DWORD>(ABufSize)) != ERROR_SUCCESS)
    RaiseSetDataFailed(AName);
}

String ReadStringOf(HKEY AKey, const String& AName)
{
  TRegDataInfo info;
  if (!DataInfoOf(AKey, AName, info) || info.DataSize <= 0)
    return String();
  String result(static_cast<std::size_t>(info.DataSize + 1) / sizeof(Char), L'\0');
  TRegDataType regData;
  const int size = GetData(AKey, AName, result.data(), static_cast<int>(result.size() * sizeof(Char)), regData);
  if (regData != rdString && regData != rdExpandString)
    RaiseInvalidType(AName);
  // Stored strings usually end in a null, but nothing makes them.
  result.resize(static_cast<std::size_t>(size) / sizeof(Char));
  const std::size_t end = result.find(L'\0');
  if (end != String::npos)
    result.resize(end);
  return result;
}

void WriteStringOf(HKEY AKey, const String& AName, const String& AValue, DWORD AType)
{
  PutData(AKey, AName, AValue.c_str(), static_cast<int>((AValue.size() + 1) * sizeof(Char)), AType);
}

int ReadIntegerOf(HKEY AKey, const String& AName)
{
  std::int32_t result = 0;
  TRegDataType regData;
  GetData(AKey, AName, &result, sizeof(result), regData);
  if (regData != rdInteger)
    RaiseInvalidType(AName);
  return result;
}

void WriteIntegerOf(HKEY AKey, const String& AName, int AValue)
{
  const std::int32_t value = AValue;
  PutData(AKey, AName, &value, sizeof(value), REG_DWORD);
}

// The 8-byte values (floats, date-times, currency): binary data of exactly
// that length, anything else is an invalid type.
template <class T>
T ReadExactBinaryOf(HKEY AKey, const String& AName)
{
  static_assert(sizeof(T) == 8);
  T result{};
  TRegDataType regData;
  const int size = GetData(AKey, AName, &result, sizeof(result), regData);
  if (regData != rdBinary || size != sizeof(result))
    RaiseInvalidType(AName);
  return result;
}

int ReadBinaryDataOf(HKEY AKey, const String& AName, void* ABuffer, int ABufSize)
{
  TRegDataInfo info;
  if (!DataInfoOf(AKey, AName, info))
    return 0;
  if ((info.RegData != rdBinary && info.RegData != rdUnknown) || info.DataSize > ABufSize)
    RaiseInvalidType(AName);
  TRegDataType regData;
  return GetData(AKey, AName, ABuffer, info.DataSize, regData);
}

// The whole of a binary value whose size AInfo gave.
TBytes ReadBytesOf(HKEY AKey, const String& AName, const TRegDataInfo& AInfo)
{
  TBytes bytes(static_cast<std::size_t>(AInfo.DataSize));
  bytes.resize(static_cast<std::size_t>(
      ReadBinaryDataOf(AKey, AName, bytes.data(), static_cast<int>(bytes.size()))));
  return bytes;
}

// Deletes the subkeys of AKey, depth first, then AKey itself from AParent.
// Enumerating from the last index keeps the indexes of the keys still to
// visit valid while earlier ones go.
bool DeleteKeyTree(HKEY AParent, const String& ASubKey, REGSAM AAccess)
{
  HKEY opened = nullptr;
  if (RegOpenKeyExW(AParent, ASubKey.c_str(), 0, AAccess, &opened) == ERROR_SUCCESS) {
    TRegKeyPtr key(opened);
    DWORD count = 0;
    if (RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr) == ERROR_SUCCESS) {
      wchar_t name[MaxKeyNameLength];
      for (DWORD i = count; i-- > 0;) {
        DWORD length = MaxKeyNameLength;
        if (RegEnumKeyExW(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
          DeleteKeyTree(key.get(), String(name, length), AAccess);
      }
    }
  }
  return RegDeleteKeyW(AParent, ASubKey.c_str()) == ERROR_SUCCESS;
}

// Only a name too long for the buffer is skipped. Any other error (the end,
// a key deleted while open, a handle gone bad) answers every later index the
// same way, so asking on would never end.
bool EnumerationGoesOn(LONG AError)
{
  return AError == ERROR_MORE_DATA;
}

void ValueNamesOf(HKEY AKey, TStrings* AStrings)
{
  AStrings->BeginUpdate();
  Finally endUpdate([&] { AStrings->EndUpdate(); });
  AStrings->Clear();
  if (!AKey)
    return;
  String name(MaxValueNameLength, L'\0');
  for (DWORD i = 0;; ++i) {
    DWORD length = MaxValueNameLength;
    const LONG error = RegEnumValueW(AKey, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (error == ERROR_SUCCESS)
      AStrings->Add(name.substr(0, length));
    else if (!EnumerationGoesOn(error))
      break;
  }
}

void KeyNamesOf(HKEY AKey, TStrings* AStrings)
{
  AStrings->BeginUpdate();
  Finally endUpdate([&] { AStrings->EndUpdate(); });
  AStrings->Clear();
  if (!AKey)
    return;
  wchar_t name[MaxKeyNameLength];
  for (DWORD i = 0;; ++i) {
    DWORD length = MaxKeyNameLength;
    const LONG error = RegEnumKeyExW(AKey, i, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (error == ERROR_SUCCESS)
      AStrings->Add(String(name, length));
    else if (!EnumerationGoesOn(error))
      break;
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// TRegistry

void TRegistry::Create(REGSAM AAccess)
{
  FRootKey = HKEY_CURRENT_USER;
  FAccess = AAccess;
}

void TRegistry::Destroy()
{
  CloseKey();
  inherited::Destroy();
}

HKEY TRegistry::BaseKey(const String& AKey) const
{
  return IsAbsolute(AKey) || !FCurrentKey ? FRootKey : FCurrentKey.get();
}

TRegKeyPtr TRegistry::GetKey(const String& AKey) const
{
  return GetKey(AKey, FAccess);
}

TRegKeyPtr TRegistry::GetKey(const String& AKey, REGSAM AAccess) const
{
  HKEY key = nullptr;
  if (RegOpenKeyExW(BaseKey(AKey), KeyPath(AKey).c_str(), 0, AAccess, &key) != ERROR_SUCCESS)
    return nullptr;
  return TRegKeyPtr(key);
}

void TRegistry::ChangeKey(TRegKeyPtr AKey, String APath)
{
  CloseKey();
  FCurrentKey = std::move(AKey);
  FCurrentPath = std::move(APath);
}

bool TRegistry::OpenKeyWith(const String& AKey, bool ACanCreate, REGSAM AAccess)
{
  const String path = KeyPath(AKey);
  HKEY key = nullptr;
  const LONG error = ACanCreate ? RegCreateKeyExW(BaseKey(AKey), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                                  AAccess, nullptr, &key, nullptr)
                                : RegOpenKeyExW(BaseKey(AKey), path.c_str(), 0, AAccess, &key);
  if (error != ERROR_SUCCESS)
    return false;
  TRegKeyPtr opened(key);
  String fullPath = !IsAbsolute(AKey) && FCurrentKey ? FCurrentPath + L'\\' + path : path;
  ChangeKey(std::move(opened), std::move(fullPath));
  return true;
}

bool TRegistry::OpenKey(const String& AKey, bool ACanCreate)
{
  return OpenKeyWith(AKey, ACanCreate, FAccess);
}

bool TRegistry::OpenKeyReadOnly(const String& AKey)
{
  // Keys that refuse KEY_READ (KEY_NOTIFY is often denied) may still allow
  // querying values and listing subkeys, or at least querying values.
  for (REGSAM access : {REGSAM(KEY_READ), REGSAM(STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS),
                        REGSAM(KEY_QUERY_VALUE)})
    if (OpenKeyWith(AKey, false, access | (FAccess & (KEY_WOW64_32KEY | KEY_WOW64_64KEY))))
      return true;
  return false;
}

void TRegistry::CloseKey()
{
  if (!FCurrentKey)
    return;
  if (FNoLazyWrite)
    RegFlushKey(FCurrentKey.get());
  FCurrentKey.reset();
  FCurrentPath.clear();
}

bool TRegistry::CreateKey(const String& AKey)
{
  HKEY key = nullptr;
  if (RegCreateKeyExW(BaseKey(AKey), KeyPath(AKey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      FAccess, nullptr, &key, nullptr) != ERROR_SUCCESS)
    throw ERegistryException(Format(L"Failed to create key %s", {AKey}));
  TRegKeyPtr created(key);
  return true;
}

bool TRegistry::DeleteKey(const String& AKey)
{
  // An empty path names the base key itself: the recursive pass would empty
  // the open key, or a whole root key, and the root cannot even go.
  const String path = KeyPath(AKey);
  return !path.empty() && DeleteKeyTree(BaseKey(AKey), path, FAccess);
}

bool TRegistry::KeyExists(const String& AKey)
{
  return GetKey(AKey, STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS |
                          (FAccess & (KEY_WOW64_32KEY | KEY_WOW64_64KEY))) != nullptr;
}

bool TRegistry::GetKeyInfo(TRegKeyInfo& AValue)
{
  AValue = {};
  DWORD subKeys = 0, maxSubKeyLen = 0, values = 0, maxValueLen = 0, maxDataLen = 0;
  if (!FCurrentKey || RegQueryInfoKeyW(FCurrentKey.get(), nullptr, nullptr, nullptr, &subKeys, &maxSubKeyLen, nullptr,
                                       &values, &maxValueLen, &maxDataLen, nullptr, &AValue.FileTime) != ERROR_SUCCESS)
    return false;
  AValue.NumSubKeys = static_cast<int>(subKeys);
  AValue.MaxSubKeyLen = static_cast<int>(maxSubKeyLen);
  AValue.NumValues = static_cast<int>(values);
  AValue.MaxValueLen = static_cast<int>(maxValueLen);
  AValue.MaxDataLen = static_cast<int>(maxDataLen);
  return true;
}

bool TRegistry::HasSubKeys()
{
  TRegKeyInfo info;
  return GetKeyInfo(info) && info.NumSubKeys > 0;
}

void TRegistry::GetKeyNames(TStrings* AStrings)
{
  KeyNamesOf(FCurrentKey.get(), AStrings);
}

void TRegistry::GetValueNames(TStrings* AStrings)
{
  ValueNamesOf(FCurrentKey.get(), AStrings);
}

bool TRegistry::ValueExists(const String& AName)
{
  TRegDataInfo info;
  return DataInfoOf(FCurrentKey.get(), AName, info);
}

bool TRegistry::DeleteValue(const String& AName)
{
  return FCurrentKey && RegDeleteValueW(FCurrentKey.get(), AName.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::GetDataInfo(const String& AValueName, TRegDataInfo& AValue)
{
  return DataInfoOf(FCurrentKey.get(), AValueName, AValue);
}

TRegDataType TRegistry::GetDataType(const String& AValueName)
{
  TRegDataInfo info;
  return DataInfoOf(FCurrentKey.get(), AValueName, info) ? info.RegData : rdUnknown;
}

int TRegistry::GetDataSize(const String& AValueName)
{
  TRegDataInfo info;
  return DataInfoOf(FCurrentKey.get(), AValueName, info) ? info.DataSize : -1;
}

String TRegistry::ReadString(const String& AName)
{
  return ReadStringOf(FCurrentKey.get(), AName);
}

void TRegistry::WriteString(const String& AName, const String& AValue)
{
  WriteStringOf(FCurrentKey.get(), AName, AValue, REG_SZ);
}

void TRegistry::WriteExpandString(const String& AName, const String& AValue)
{
  WriteStringOf(FCurrentKey.get(), AName, AValue, REG_EXPAND_SZ);
}

int TRegistry::ReadInteger(const String& AName)
{
  return ReadIntegerOf(FCurrentKey.get(), AName);
}

void TRegistry::WriteInteger(const String& AName, int AValue)
{
  WriteIntegerOf(FCurrentKey.get(), AName, AValue);
}

bool TRegistry::ReadBool(const String& AName)
{
  return ReadInteger(AName) != 0;
}

void TRegistry::WriteBool(const String& AName, bool AValue)
{
  WriteInteger(AName, AValue ? 1 : 0);
}

double TRegistry::ReadFloat(const String& AName)
{
  return ReadExactBinaryOf<double>(FCurrentKey.get(), AName);
}

void TRegistry::WriteFloat(const String& AName, double AValue)
{
  WriteBinaryData(AName, &AValue, sizeof(AValue));
}

TDateTime TRegistry::ReadDateTime(const String& AName)
{
  return ReadExactBinaryOf<TDateTime>(FCurrentKey.get(), AName);
}

void TRegistry::WriteDateTime(const String& AName, TDateTime AValue)
{
  WriteBinaryData(AName, &AValue, sizeof(AValue));
}

Currency TRegistry::ReadCurrency(const String& AName)
{
  return Currency::FromRaw(ReadExactBinaryOf<std::int64_t>(FCurrentKey.get(), AName));
}

void TRegistry::WriteCurrency(const String& AName, Currency AValue)
{
  const std::int64_t raw = AValue.Raw();
  WriteBinaryData(AName, &raw, sizeof(raw));
}

int TRegistry::ReadBinaryData(const String& AName, void* ABuffer, int ABufSize)
{
  return ReadBinaryDataOf(FCurrentKey.get(), AName, ABuffer, ABufSize);
}

void TRegistry::WriteBinaryData(const String& AName, const void* ABuffer, int ABufSize)
{
  PutData(FCurrentKey.get(), AName, ABuffer, ABufSize, REG_BINARY);
}

void TRegistry::SetRootKey(HKEY AValue)
{
  if (AValue == FRootKey)
    return;
  CloseKey();
  FRootKey = AValue;
}

// ---------------------------------------------------------------------------
// TRegistryIniFile

void TRegistryIniFile::Create(const String& AFileName, REGSAM AAccess)
{
  inherited::Create(AFileName);
  FRegIniFile = New<TRegistry>(AAccess);
  FRegIniFile->OpenKey(AFileName, true);
}

void TRegistryIniFile::Destroy()
{
  FreeAndNil(FRegIniFile);
  inherited::Destroy();
}

TRegKeyPtr TRegistryIniFile::OpenSection(const String& ASection, bool ACreate)
{
  if (ACreate)
    FRegIniFile->CreateKey(ASection);
  return FRegIniFile->GetKey(ASection);
}

String TRegistryIniFile::ReadString(const String& ASection, const String& AIdent, const String& ADefault)
{
  TRegKeyPtr key = OpenSection(ASection, false);
  TRegDataInfo info;
  if (!DataInfoOf(key.get(), AIdent, info))
    return ADefault;
  switch (info.RegData) {
    case rdInteger:
      return IntToStr(ReadIntegerOf(key.get(), AIdent));
    case rdBinary: {
      String text;
      for (std::uint8_t b : ReadBytesOf(key.get(), AIdent, info))
        text += IntToHex(b, 2);
      return text;
    }
    default:
      return ReadStringOf(key.get(), AIdent);
  }
}

void TRegistryIniFile::WriteString(const String& ASection, const String& AIdent, const String& AValue)
{
  WriteStringOf(OpenSection(ASection, true).get(), AIdent, AValue, REG_SZ);
}

int TRegistryIniFile::ReadInteger(const String& ASection, const String& AIdent, int ADefault)
{
  TRegKeyPtr key = OpenSection(ASection, false);
  TRegDataInfo info;
  if (!DataInfoOf(key.get(), AIdent, info))
    return ADefault;
  if (info.RegData == rdString || info.RegData == rdExpandString)
    return StrToIntDef(ReadStringOf(key.get(), AIdent), ADefault);
  return ReadIntegerOf(key.get(), AIdent);
}

void TRegistryIniFile::WriteInteger(const String& ASection, const String& AIdent, int AValue)
{
  WriteIntegerOf(OpenSection(ASection, true).get(), AIdent, AValue);
}

void TRegistryIniFile::WriteBool(const String& ASection, const String& AIdent, bool AValue)
{
  WriteInteger(ASection, AIdent, AValue ? 1 : 0);
}

double TRegistryIniFile::ReadFloat(const String& ASection, const String& AName, double ADefault)
{
  TRegKeyPtr key = OpenSection(ASection, false);
  TRegDataInfo info;
  if (!DataInfoOf(key.get(), AName, info))
    return ADefault;
  if (info.RegData == rdString || info.RegData == rdExpandString) {
    double value;
    return TryStrToFloat(ReadStringOf(key.get(), AName), value) ? value : ADefault;
  }
  return ReadExactBinaryOf<double>(key.get(), AName);
}

void TRegistryIniFile::WriteFloat(const String& ASection, const String& AName, double AValue)
{
  PutData(OpenSection(ASection, true).get(), AName, &AValue, sizeof(AValue), REG_BINARY);
}

int TRegistryIniFile::ReadBinaryStream(const String& ASection, const String& AName, TStream* AValue)
{
  TRegKeyPtr key = OpenSection(ASection, false);
  TRegDataInfo info;
  if (!DataInfoOf(key.get(), AName, info))
    return 0;
  return PutBytes(AValue, ReadBytesOf(key.get(), AName, info));
}

void TRegistryIniFile::WriteBinaryStream(const String& ASection, const String& AName, TStream* AValue)
{
  const TBytes bytes = StreamRemainder(AValue);
  PutData(OpenSection(ASection, true).get(), AName, bytes.data(), static_cast<int>(bytes.size()), REG_BINARY);
}

void TRegistryIniFile::ReadSections(TStrings* AStrings)
{
  FRegIniFile->GetKeyNames(AStrings);
}

void TRegistryIniFile::ReadSection(const String& ASection, TStrings* AStrings)
{
  ValueNamesOf(OpenSection(ASection, false).get(), AStrings);
}

void TRegistryIniFile::ReadSectionValues(const String& ASection, TStrings* AStrings)
{
  TOwnedPtr<TStringList> names(New<TStringList>());
  ReadSection(ASection, names.get());
  AStrings->BeginUpdate();
  Finally endUpdate([&] { AStrings->EndUpdate(); });
  AStrings->Clear();
  for (int i = 0; i < names->GetCount(); ++i) {
    const String name = names->GetStrings(i);
    AStrings->Add(name + L'=' + ReadString(ASection, name, String()));
  }
}

bool TRegistryIniFile::ValueExists(const String& ASection, const String& AIdent)
{
  TRegDataInfo info;
  return DataInfoOf(OpenSection(ASection, false).get(), AIdent, info);
}

void TRegistryIniFile::EraseSection(const String& ASection)
{
  FRegIniFile->DeleteKey(ASection);
}

void TRegistryIniFile::DeleteKey(const String& ASection, const String& AIdent)
{
  if (TRegKeyPtr key = OpenSection(ASection, false))
    RegDeleteValueW(key.get(), AIdent.c_str());
}

void TRegistryIniFile::UpdateFile()
{
  if (HKEY key = FRegIniFile->GetCurrentKey())
    RegFlushKey(key);
}

}  // namespace rtl
