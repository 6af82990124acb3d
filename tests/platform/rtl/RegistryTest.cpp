#include "platform/rtl/Registry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

using namespace rtl;

namespace registrytest {

// Each test works below a key of its own under HKCU\Software\KelvaroRtlTests,
// deleted with everything in it afterwards. The parent is this executable's
// own: other test executables run at the same time and clear their parents
// whole.
class RegistryTest : public testing::Test {
 protected:
  void SetUp() override
  {
    FBase = L"Software\\KelvaroRtlTests\\" + IntToHex(GetCurrentProcessId(), 4) + L"_" +
            IntToHex(static_cast<unsigned>(GetTickCount()), 8) + L"_" + IntToStr(++Counter());
    FRegistry.reset(New<TRegistry>());
    ASSERT_TRUE(FRegistry->OpenKey(L"\\" + FBase, true));
  }
  void TearDown() override
  {
    FRegistry.reset();
    TOwnedPtr<TRegistry> cleaner(New<TRegistry>());
    cleaner->DeleteKey(L"\\" + FBase);
    EXPECT_FALSE(cleaner->KeyExists(L"\\" + FBase));
    // The common parent goes once no other run still works below it.
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\KelvaroRtlTests");
  }

  static int& Counter()
  {
    static int counter = 0;
    return counter;
  }

  // The value's registry type and size as the system reports them.
  std::pair<DWORD, DWORD> RawInfo(const String& ASubKey, const String& AName) const
  {
    HKEY key = nullptr;
    String path = FBase + (ASubKey.empty() ? String() : L"\\" + ASubKey);
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
      return {REG_NONE, 0};
    TRegKeyPtr owned(key);
    DWORD type = REG_NONE, size = 0;
    RegQueryValueExW(key, AName.c_str(), nullptr, &type, nullptr, &size);
    return {type, size};
  }

  String FBase;
  TOwnedPtr<TRegistry> FRegistry;
};

template <class F>
String RegistryError(F AAction)
{
  try {
    AAction();
  } catch (const ERegistryException& Error) {
    return Error.Message();
  }
  return L"(not raised)";
}

std::vector<String> RegLines(TStrings* AStrings)
{
  std::vector<String> result;
  for (int i = 0; i < AStrings->GetCount(); ++i)
    result.push_back(AStrings->GetStrings(i));
  return result;
}

}  // namespace registrytest

using namespace registrytest;

// ---------------------------------------------------------------------------
// Values

TEST_F(RegistryTest, EachValueKindRoundTripsWithItsRegistryType)
{
  TRegistry* reg = FRegistry.get();
  const std::uint8_t blob[] = {1, 2, 3, 0, 255};
  reg->WriteString(L"Str", L"caf\u00E9");
  reg->WriteString(L"EmptyStr", L"");
  reg->WriteExpandString(L"Exp", L"%TEMP%\\x");
  reg->WriteInteger(L"Int", -5);
  reg->WriteBool(L"True", true);
  reg->WriteBool(L"False", false);
  reg->WriteFloat(L"Float", 1.25);
  reg->WriteDateTime(L"Date", 45000.5);
  reg->WriteCurrency(L"Money", Currency::FromRaw(123456789));
  reg->WriteBinaryData(L"Blob", blob, sizeof(blob));

  EXPECT_EQ(reg->ReadString(L"Str"), L"caf\u00E9");
  EXPECT_EQ(reg->ReadString(L"EmptyStr"), L"");
  EXPECT_EQ(reg->ReadString(L"Exp"), L"%TEMP%\\x");
  EXPECT_EQ(reg->ReadInteger(L"Int"), -5);
  EXPECT_TRUE(reg->ReadBool(L"True"));
  EXPECT_FALSE(reg->ReadBool(L"False"));
  EXPECT_EQ(reg->ReadFloat(L"Float"), 1.25);
  EXPECT_EQ(reg->ReadDateTime(L"Date"), 45000.5);
  EXPECT_EQ(reg->ReadCurrency(L"Money").Raw(), 123456789);
  std::uint8_t read[8] = {};
  EXPECT_EQ(reg->ReadBinaryData(L"Blob", read, sizeof(read)), 5);
  EXPECT_EQ(std::memcmp(read, blob, sizeof(blob)), 0);

  struct Case {
    const wchar_t* Name;
    DWORD Type;
    DWORD Size;
    TRegDataType RegData;
  };
  const Case cases[] = {
      {L"Str", REG_SZ, 10, rdString},         {L"EmptyStr", REG_SZ, 2, rdString},
      {L"Exp", REG_EXPAND_SZ, 18, rdExpandString}, {L"Int", REG_DWORD, 4, rdInteger},
      {L"True", REG_DWORD, 4, rdInteger},      {L"Float", REG_BINARY, 8, rdBinary},
      {L"Date", REG_BINARY, 8, rdBinary},      {L"Money", REG_BINARY, 8, rdBinary},
      {L"Blob", REG_BINARY, 5, rdBinary},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << String(c.Name));
    EXPECT_EQ(RawInfo(String(), c.Name), std::make_pair(c.Type, c.Size));
    EXPECT_EQ(reg->GetDataType(c.Name), c.RegData);
    EXPECT_EQ(reg->GetDataSize(c.Name), static_cast<int>(c.Size));
    EXPECT_TRUE(reg->ValueExists(c.Name));
  }
  EXPECT_EQ(reg->GetDataType(L"Missing"), rdUnknown);
  EXPECT_EQ(reg->GetDataSize(L"Missing"), -1);

  TOwnedPtr<TStringList> names(New<TStringList>());
  reg->GetValueNames(names.get());
  EXPECT_EQ(names->GetCount(), 10);
  EXPECT_TRUE(reg->DeleteValue(L"Str"));
  EXPECT_FALSE(reg->DeleteValue(L"Str"));
  EXPECT_FALSE(reg->ValueExists(L"Str"));
}

// Floats are REG_BINARY of exactly 8 bytes: a binary value of another length
// is refused, never read in part.
TEST_F(RegistryTest, ReadErrorsNameTheValue)
{
  TRegistry* reg = FRegistry.get();
  const std::uint8_t four[4] = {}, ten[10] = {};
  // A value that does not fit the type's buffer fails to read at all; one
  // that fits is refused by its type.
  reg->WriteString(L"Str", L"12");
  reg->WriteString(L"S", L"1");
  reg->WriteInteger(L"Int", 1);
  reg->WriteBinaryData(L"Four", four, sizeof(four));
  reg->WriteBinaryData(L"Ten", ten, sizeof(ten));
  std::uint8_t buffer[6];

  struct Case {
    const char* Label;
    std::function<void()> Action;
    const wchar_t* Expected;
  };
  const Case cases[] = {
      {"integer from a short string", [&] { reg->ReadInteger(L"S"); }, L"Invalid data type for 'S'"},
      {"integer from a longer string", [&] { reg->ReadInteger(L"Str"); }, L"Failed to get data for 'Str'"},
      {"integer from 4 binary bytes", [&] { reg->ReadInteger(L"Four"); }, L"Invalid data type for 'Four'"},
      {"missing integer", [&] { reg->ReadInteger(L"Missing"); }, L"Failed to get data for 'Missing'"},
      {"missing bool", [&] { reg->ReadBool(L"Missing"); }, L"Failed to get data for 'Missing'"},
      {"string from an integer", [&] { reg->ReadString(L"Int"); }, L"Invalid data type for 'Int'"},
      {"float from an integer", [&] { reg->ReadFloat(L"Int"); }, L"Invalid data type for 'Int'"},
      {"float from 4 bytes", [&] { reg->ReadFloat(L"Four"); }, L"Invalid data type for 'Four'"},
      {"float from 10 bytes", [&] { reg->ReadFloat(L"Ten"); }, L"Failed to get data for 'Ten'"},
      {"float from a string", [&] { reg->ReadFloat(L"Str"); }, L"Invalid data type for 'Str'"},
      {"missing float", [&] { reg->ReadFloat(L"Missing"); }, L"Failed to get data for 'Missing'"},
      {"date from 4 bytes", [&] { reg->ReadDateTime(L"Four"); }, L"Invalid data type for 'Four'"},
      {"currency from 4 bytes", [&] { reg->ReadCurrency(L"Four"); }, L"Invalid data type for 'Four'"},
      {"binary larger than the buffer", [&] { reg->ReadBinaryData(L"Ten", buffer, sizeof(buffer)); },
       L"Invalid data type for 'Ten'"},
      {"binary from a string", [&] { reg->ReadBinaryData(L"Str", buffer, sizeof(buffer)); },
       L"Invalid data type for 'Str'"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(RegistryError(c.Action), c.Expected) << c.Label;

  // What is missing reads as empty where the framework allows it.
  EXPECT_EQ(reg->ReadString(L"Missing"), L"");
  EXPECT_EQ(reg->ReadBinaryData(L"Missing", buffer, sizeof(buffer)), 0);
}

TEST_F(RegistryTest, WritingNeedsAnOpenWritableKey)
{
  FRegistry->CloseKey();
  EXPECT_EQ(FRegistry->GetCurrentKey(), nullptr);
  EXPECT_EQ(RegistryError([&] { FRegistry->WriteInteger(L"X", 1); }), L"Failed to set data for 'X'");
  EXPECT_EQ(RegistryError([&] { FRegistry->ReadInteger(L"X"); }), L"Failed to get data for 'X'");
  EXPECT_FALSE(FRegistry->ValueExists(L"X"));

  ASSERT_TRUE(FRegistry->OpenKeyReadOnly(L"\\" + FBase));
  EXPECT_EQ(FRegistry->GetAccess(), static_cast<REGSAM>(KEY_ALL_ACCESS));
  EXPECT_EQ(RegistryError([&] { FRegistry->WriteString(L"Y", L"v"); }), L"Failed to set data for 'Y'");
}

// ---------------------------------------------------------------------------
// Keys

TEST_F(RegistryTest, OpensRelativeAndAbsolutePaths)
{
  TRegistry* reg = FRegistry.get();
  EXPECT_EQ(reg->GetRootKey(), HKEY_CURRENT_USER);
  EXPECT_EQ(reg->GetCurrentPath(), FBase);

  struct Step {
    const wchar_t* Key;
    bool CanCreate;
    bool Opens;
    String PathAfter;
  };
  const Step steps[] = {
      {L"Missing", false, false, FBase},
      {L"A", true, true, FBase + L"\\A"},
      {L"B\\C", true, true, FBase + L"\\A\\B\\C"},
      {L"\\Software\\KelvaroRtlTests", false, true, L"Software\\KelvaroRtlTests"},
      {L"\\Software\\Missing\\Nope", false, false, L"Software\\KelvaroRtlTests"},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(testing::Message() << String(s.Key));
    EXPECT_EQ(reg->OpenKey(s.Key, s.CanCreate), s.Opens);
    EXPECT_EQ(reg->GetCurrentPath(), s.PathAfter);
  }
  EXPECT_TRUE(reg->KeyExists(L"\\" + FBase + L"\\A\\B\\C"));
  reg->CloseKey();
  EXPECT_EQ(reg->GetCurrentPath(), L"");
  // Without an open key a relative path starts at the root.
  EXPECT_TRUE(reg->OpenKey(FBase + L"\\A", false));
  EXPECT_EQ(reg->GetCurrentPath(), FBase + L"\\A");
  // A trailing backslash names the same key.
  EXPECT_TRUE(reg->OpenKey(L"\\" + FBase + L"\\A\\", false));
  EXPECT_TRUE(reg->KeyExists(L"B\\"));

  reg->SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_EQ(reg->GetCurrentKey(), nullptr);
  EXPECT_FALSE(reg->KeyExists(L"\\" + FBase));
  EXPECT_TRUE(reg->OpenKeyReadOnly(L"Software"));
}

TEST_F(RegistryTest, CreateKeyListsAndDeletesRecursively)
{
  TRegistry* reg = FRegistry.get();
  EXPECT_FALSE(reg->HasSubKeys());
  for (const wchar_t* key : {L"Tree\\One\\Deep\\Deeper", L"Tree\\Two", L"Tree\\Three\\X", L"Other"})
    EXPECT_TRUE(reg->CreateKey(key));
  EXPECT_EQ(reg->GetCurrentPath(), FBase);
  EXPECT_TRUE(reg->HasSubKeys());

  ASSERT_TRUE(reg->OpenKey(L"Tree\\One\\Deep", false));
  reg->WriteInteger(L"v", 1);
  ASSERT_TRUE(reg->OpenKey(L"\\" + FBase + L"\\Tree", false));
  TOwnedPtr<TStringList> names(New<TStringList>());
  reg->GetKeyNames(names.get());
  names->Sort();
  EXPECT_EQ(RegLines(names.get()), (std::vector<String>{L"One", L"Three", L"Two"}));
  TRegKeyInfo info;
  ASSERT_TRUE(reg->GetKeyInfo(info));
  EXPECT_EQ(info.NumSubKeys, 3);
  EXPECT_EQ(info.MaxSubKeyLen, 5);

  EXPECT_TRUE(reg->DeleteKey(L"\\" + FBase + L"\\Tree"));
  EXPECT_FALSE(reg->KeyExists(L"\\" + FBase + L"\\Tree"));
  EXPECT_TRUE(reg->KeyExists(L"\\" + FBase + L"\\Other"));
  EXPECT_FALSE(reg->DeleteKey(L"\\" + FBase + L"\\Tree"));

  // Empty paths would name the open key or the root: nothing goes.
  for (const wchar_t* key : {L"", L"\\", L"\\\\"})
    EXPECT_FALSE(reg->DeleteKey(key)) << String(key);
  EXPECT_TRUE(reg->KeyExists(L"\\" + FBase + L"\\Other"));
  EXPECT_TRUE(reg->KeyExists(L"\\Software"));

  // A key name the registry refuses (longer than 255 characters).
  EXPECT_EQ(RegistryError([&] { reg->CreateKey(L"\\" + FBase + L"\\" + String(300, L'k')); }),
            L"Failed to create key \\" + FBase + L"\\" + String(300, L'k'));
}

// The open key may be deleted under the registry object (by itself or by
// anyone else): listing it then finds nothing instead of asking the
// registry again and again for an index it refuses.
TEST_F(RegistryTest, ListingADeletedOpenKeyFindsNothing)
{
  using TLister = void (TRegistry::*)(TStrings*);
  for (TLister list : {&TRegistry::GetKeyNames, &TRegistry::GetValueNames}) {
    TRegistry* reg = FRegistry.get();
    ASSERT_TRUE(reg->OpenKey(L"\\" + FBase + L"\\Gone", true));
    reg->WriteInteger(L"v", 1);
    reg->CreateKey(L"Sub");
    ASSERT_TRUE(reg->DeleteKey(L"\\" + FBase + L"\\Gone"));
    TOwnedPtr<TStringList> names(New<TStringList>());
    names->Add(L"stale");
    (reg->*list)(names.get());
    EXPECT_TRUE(RegLines(names.get()).empty());
    reg->CloseKey();
  }
}

// ---------------------------------------------------------------------------
// TRegistryIniFile

TEST_F(RegistryTest, RegistryIniFileMapsSectionsToKeys)
{
  TOwnedPtr<TRegistryIniFile> ini(New<TRegistryIniFile>(L"\\" + FBase + L"\\Layout\\"));
  EXPECT_TRUE(ini->GetRegIniFile()->KeyExists(L"\\" + FBase + L"\\Layout"));

  ini->WriteString(L"Main", L"Caption", L"Title");
  ini->WriteInteger(L"Main", L"Count", 3);
  ini->WriteBool(L"Main", L"Visible", true);
  ini->WriteFloat(L"Main", L"Scale", 1.5);
  ini->WriteString(L"Bar0\\ItemLink0", L"ItemName", L"Button1");
  ini->WriteString(L"", L"Version", L"20190102");
  ini->WriteString(L"\\" + FBase + L"\\Absolute", L"Where", L"outside");
  TOwnedPtr<TMemoryStream> stream(New<TMemoryStream>());
  stream->WriteBuffer("\x05", 1);
  stream->SetPosition(0);
  ini->WriteBinaryStream(L"Bar0\\ItemLink0", L"UserDefine", stream.get());

  struct Raw {
    const wchar_t* Key;
    const wchar_t* Name;
    DWORD Type;
    DWORD Size;
  };
  const Raw raws[] = {
      {L"Layout\\Main", L"Caption", REG_SZ, 12},     {L"Layout\\Main", L"Count", REG_DWORD, 4},
      {L"Layout\\Main", L"Visible", REG_DWORD, 4},   {L"Layout\\Main", L"Scale", REG_BINARY, 8},
      {L"Layout\\Bar0\\ItemLink0", L"UserDefine", REG_BINARY, 1},
      {L"Layout", L"Version", REG_SZ, 18},           {L"Absolute", L"Where", REG_SZ, 16},
  };
  for (const Raw& r : raws)
    EXPECT_EQ(RawInfo(r.Key, r.Name), std::make_pair(r.Type, r.Size)) << String(r.Key) << L" " << String(r.Name);

  EXPECT_EQ(ini->ReadString(L"main", L"caption", L"?"), L"Title");
  EXPECT_EQ(ini->ReadInteger(L"Main", L"Count", -1), 3);
  EXPECT_TRUE(ini->ReadBool(L"Main", L"Visible", false));
  EXPECT_EQ(ini->ReadFloat(L"Main", L"Scale", 0), 1.5);
  EXPECT_EQ(ini->ReadInteger(L"", L"Version", -1), 20190102);
  EXPECT_EQ(ini->ReadString(L"Main", L"Count", L"?"), L"3");
  EXPECT_EQ(ini->ReadString(L"Main", L"Missing", L"dflt"), L"dflt");
  EXPECT_EQ(ini->ReadInteger(L"NoSection", L"Count", -1), -1);
  EXPECT_EQ(ini->ReadInteger(L"Main", L"Caption", -1), -1);
  EXPECT_EQ(ini->ReadString(L"\\" + FBase + L"\\Absolute", L"Where", L"?"), L"outside");

  stream->Clear();
  EXPECT_EQ(ini->ReadBinaryStream(L"Bar0\\ItemLink0", L"UserDefine", stream.get()), 1);
  EXPECT_EQ(stream->GetSize(), 1);
  EXPECT_EQ(*static_cast<const char*>(stream->Memory()), '\x05');
  EXPECT_EQ(ini->ReadString(L"Bar0\\ItemLink0", L"UserDefine", L"?"), L"05");
  EXPECT_EQ(ini->ReadBinaryStream(L"Bar0\\ItemLink0", L"Missing", stream.get()), 0);

  TOwnedPtr<TStringList> list(New<TStringList>());
  ini->ReadSections(list.get());
  list->Sort();
  EXPECT_EQ(RegLines(list.get()), (std::vector<String>{L"Bar0", L"Main"}));
  ini->ReadSection(L"Main", list.get());
  list->Sort();
  EXPECT_EQ(RegLines(list.get()), (std::vector<String>{L"Caption", L"Count", L"Scale", L"Visible"}));
  ini->ReadSectionValues(L"Main", list.get());
  list->Sort();
  EXPECT_EQ(RegLines(list.get()), (std::vector<String>{L"Caption=Title", L"Count=3", L"Scale=000000000000F83F",
                                                    L"Visible=1"}));
  EXPECT_TRUE(ini->SectionExists(L"Main"));
  EXPECT_FALSE(ini->SectionExists(L"Bar0"));
  EXPECT_TRUE(ini->ValueExists(L"Main", L"Count"));
  EXPECT_FALSE(ini->ValueExists(L"Nowhere", L"Count"));

  ini->DeleteKey(L"Main", L"Count");
  EXPECT_FALSE(ini->ValueExists(L"Main", L"Count"));
  // Erasing a section takes the keys below it too.
  ini->EraseSection(L"Bar0");
  EXPECT_FALSE(ini->GetRegIniFile()->KeyExists(L"\\" + FBase + L"\\Layout\\Bar0"));
  ini->ReadSections(list.get());
  EXPECT_EQ(RegLines(list.get()), (std::vector<String>{L"Main"}));
  ini->UpdateFile();
}

// The bar layout store names its base key with a trailing backslash and
// erases it, with everything below, before writing absolute sections again.
TEST_F(RegistryTest, RegistryIniFileTakesSectionsWithATrailingBackslash)
{
  const String base = L"\\" + FBase + L"\\Bars\\";
  TOwnedPtr<TRegistryIniFile> ini(New<TRegistryIniFile>(base));
  ini->WriteInteger(base, L"BarCount", 1);
  ini->WriteString(base + L"Bar0\\ItemLink0", L"ItemName", L"Button1");
  EXPECT_EQ(RawInfo(L"Bars", L"BarCount"), std::make_pair(DWORD(REG_DWORD), DWORD(4)));
  EXPECT_EQ(ini->ReadInteger(base, L"BarCount", -1), 1);

  ini->EraseSection(base);
  EXPECT_FALSE(ini->GetRegIniFile()->KeyExists(L"\\" + FBase + L"\\Bars"));
  EXPECT_EQ(ini->ReadInteger(base, L"BarCount", -1), -1);
  ini->WriteInteger(base, L"BarCount", 2);
  EXPECT_EQ(ini->ReadInteger(base, L"BarCount", -1), 2);
  EXPECT_EQ(ini->ReadString(base + L"Bar0\\ItemLink0", L"ItemName", L"gone"), L"gone");
}
