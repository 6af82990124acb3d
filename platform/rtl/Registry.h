// The Registry unit:
//   ERegistryException
//   TRegDataType, TRegDataInfo, TRegKeyInfo
//   TRegistry: one open key under a root key, its values and subkeys
//   TRegistryIniFile: a settings file whose sections are registry keys
//
// Key paths that begin with "\" are absolute (below RootKey); any other path
// is relative to the open key, or to RootKey while no key is open.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

#include "platform/rtl/IniFiles.h"
#include "platform/rtl/System.h"

namespace rtl {

class TStrings;

RTL_DECLARE_EXCEPTION(ERegistryException, Exception);

// The value kinds the framework tells apart; every other registry type
// (REG_MULTI_SZ, REG_QWORD, ...) reads as rdUnknown.
enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

struct TRegDataInfo {
  TRegDataType RegData;
  int DataSize;
};

struct TRegKeyInfo {
  int NumSubKeys;
  int MaxSubKeyLen;
  int NumValues;
  int MaxValueLen;
  int MaxDataLen;
  FILETIME FileTime;
};

namespace detail {
struct TRegKeyCloser {
  void operator()(HKEY AKey) const { RegCloseKey(AKey); }
};
}  // namespace detail

// An opened registry key, closed when it goes. Root keys are never held in
// one: they are the system's predefined handles.
using TRegKeyPtr = std::unique_ptr<std::remove_pointer_t<HKEY>, detail::TRegKeyCloser>;

class TRegistry : public TObject {
  RTL_CLASS(TRegistry, TObject)

 public:
  // HKEY_CURRENT_USER, KEY_ALL_ACCESS ($F003F), lazy writing.
  void Create() { Create(KEY_ALL_ACCESS); }
  void Create(REGSAM AAccess);
  void Destroy() override;

  // Opens AKey, creating it first when ACanCreate; the key it opened becomes
  // the current key (the previous one is closed). False when it cannot.
  bool OpenKey(const String& AKey, bool ACanCreate);
  // OpenKey without creating and with read access only, whatever Access
  // says; tries narrower rights when KEY_READ is refused.
  bool OpenKeyReadOnly(const String& AKey);
  // Closes the current key; flushed first unless LazyWrite.
  void CloseKey();
  // Creates AKey (and the keys above it) without opening it. Raises
  // ERegistryException "Failed to create key %s" when it cannot.
  bool CreateKey(const String& AKey);
  // Deletes AKey with every key below it; false when it cannot be deleted.
  // An empty path ("" or "\") deletes nothing: it would name the open key
  // or the root key.
  bool DeleteKey(const String& AKey);
  bool KeyExists(const String& AKey);
  bool HasSubKeys();
  bool GetKeyInfo(TRegKeyInfo& AValue);
  // The names of the current key's subkeys or values, in the registry's
  // order; AStrings is cleared first.
  void GetKeyNames(TStrings* AStrings);
  void GetValueNames(TStrings* AStrings);

  bool ValueExists(const String& AName);
  bool DeleteValue(const String& AName);
  // False (and a zeroed record) when the value does not exist.
  bool GetDataInfo(const String& AValueName, TRegDataInfo& AValue);
  // rdUnknown and -1 for a missing value.
  TRegDataType GetDataType(const String& AValueName);
  int GetDataSize(const String& AValueName);

  // Reading raises ERegistryException "Failed to get data for '%s'" when the
  // value cannot be read (missing, or larger than the type holds) and
  // "Invalid data type for '%s'" when it has another type. A missing string
  // reads as empty and missing binary data as 0 bytes.
  String ReadString(const String& AName);
  void WriteString(const String& AName, const String& AValue);
  void WriteExpandString(const String& AName, const String& AValue);
  int ReadInteger(const String& AName);
  void WriteInteger(const String& AName, int AValue);
  // An integer value; anything but 0 reads as true.
  bool ReadBool(const String& AName);
  void WriteBool(const String& AName, bool AValue);
  // Floats, date-times and currency amounts are REG_BINARY values of exactly
  // 8 bytes (an IEEE double, or the currency's 64-bit count); binary data of
  // another length is an invalid type.
  double ReadFloat(const String& AName);
  void WriteFloat(const String& AName, double AValue);
  TDateTime ReadDateTime(const String& AName);
  void WriteDateTime(const String& AName, TDateTime AValue);
  Currency ReadCurrency(const String& AName);
  void WriteCurrency(const String& AName, Currency AValue);
  // Copies a binary (or unknown-typed) value into ABuffer and answers its
  // size; a value larger than ABufSize is an invalid type.
  int ReadBinaryData(const String& AName, void* ABuffer, int ABufSize);
  void WriteBinaryData(const String& AName, const void* ABuffer, int ABufSize);

  // Changing the root key closes the current key.
  HKEY GetRootKey() const { return FRootKey; }
  void SetRootKey(HKEY AValue);
  REGSAM GetAccess() const { return FAccess; }
  void SetAccess(REGSAM AValue) { FAccess = AValue; }
  bool GetLazyWrite() const { return !FNoLazyWrite; }
  void SetLazyWrite(bool AValue) { FNoLazyWrite = !AValue; }
  // Null while no key is open.
  HKEY GetCurrentKey() const { return FCurrentKey.get(); }
  // The open key's path below the root key, without a leading "\".
  const String& GetCurrentPath() const { return FCurrentPath; }

 protected:
  // Opens AKey (relative or absolute) with Access, without changing the
  // current key; null when it cannot.
  TRegKeyPtr GetKey(const String& AKey) const;
  TRegKeyPtr GetKey(const String& AKey, REGSAM AAccess) const;

 private:
  // The key a path starts from, and the path without its leading "\".
  HKEY BaseKey(const String& AKey) const;
  bool OpenKeyWith(const String& AKey, bool ACanCreate, REGSAM AAccess);
  void ChangeKey(TRegKeyPtr AKey, String APath);

  HKEY FRootKey;
  TRegKeyPtr FCurrentKey;
  String FCurrentPath;
  REGSAM FAccess;
  bool FNoLazyWrite;

  friend class TRegistryIniFile;
};

// A settings file in the registry: the file name is a key (opened, created
// when missing, on Create), a section is a key below it (an absolute path
// when it begins with "\"), an entry is a value. Integers and Booleans are
// DWORDs, floats 8-byte binaries, binary streams REG_BINARY; integers also
// read from strings. Reading a missing section or value gives the default.
class TRegistryIniFile : public TCustomIniFile {
  RTL_CLASS(TRegistryIniFile, TCustomIniFile)

 public:
  void Create(const String& AFileName) { Create(AFileName, KEY_ALL_ACCESS); }
  void Create(const String& AFileName, REGSAM AAccess);
  void Destroy() override;

  // A DWORD reads as its decimal text and binary data as hexadecimal digits,
  // the text the ini file would hold; a missing value gives ADefault.
  String ReadString(const String& ASection, const String& AIdent, const String& ADefault) override;
  void WriteString(const String& ASection, const String& AIdent, const String& AValue) override;
  int ReadInteger(const String& ASection, const String& AIdent, int ADefault) override;
  void WriteInteger(const String& ASection, const String& AIdent, int AValue) override;
  void WriteBool(const String& ASection, const String& AIdent, bool AValue) override;
  double ReadFloat(const String& ASection, const String& AName, double ADefault) override;
  void WriteFloat(const String& ASection, const String& AName, double AValue) override;
  int ReadBinaryStream(const String& ASection, const String& AName, TStream* AValue) override;
  void WriteBinaryStream(const String& ASection, const String& AName, TStream* AValue) override;

  // The subkeys of the file's key.
  void ReadSections(TStrings* AStrings) override;
  // The value names of the section's key.
  void ReadSection(const String& ASection, TStrings* AStrings) override;
  void ReadSectionValues(const String& ASection, TStrings* AStrings) override;
  bool ValueExists(const String& ASection, const String& AIdent) override;
  // Deletes the section's key with every key below it.
  void EraseSection(const String& ASection) override;
  void DeleteKey(const String& ASection, const String& AIdent) override;
  // Flushes the file's key.
  void UpdateFile() override;

  TRegistry* GetRegIniFile() const { return FRegIniFile; }

 private:
  // The section's key, null when it does not open; created first when
  // ACreate (raising when that fails).
  TRegKeyPtr OpenSection(const String& ASection, bool ACreate);

  TRegistry* FRegIniFile;
};

}  // namespace rtl
