#include "platform/rtl/IniFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

using namespace rtl;

namespace {

// A file of its own under the temporary directory, removed afterwards.
class TempFile {
 public:
  explicit TempFile(const wchar_t* AName)
  {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    FPath = String(base) + L"kv_ini_" + std::to_wstring(GetCurrentProcessId()) + L"_" + AName;
  }
  ~TempFile() { DeleteFileW(FPath.c_str()); }
  const String& Path() const { return FPath; }

  void Write(const std::string& ABytes) const
  {
    TOwnedPtr<TFileStream> stream(New<TFileStream>(FPath, fmCreate));
    if (!ABytes.empty())
      stream->WriteBuffer(ABytes.data(), static_cast<int>(ABytes.size()));
  }
  std::string Read() const
  {
    TOwnedPtr<TFileStream> stream(New<TFileStream>(FPath, fmOpenRead));
    std::string bytes(static_cast<std::size_t>(stream->GetSize()), '\0');
    if (!bytes.empty())
      stream->ReadBuffer(bytes.data(), static_cast<int>(bytes.size()));
    return bytes;
  }

 private:
  String FPath;
};

std::vector<String> IniLines(TStrings* AStrings)
{
  std::vector<String> result;
  for (int i = 0; i < AStrings->GetCount(); ++i)
    result.push_back(AStrings->GetStrings(i));
  return result;
}

std::vector<String> Sections(TCustomIniFile* AIni)
{
  TOwnedPtr<TStringList> list(New<TStringList>());
  AIni->ReadSections(list.get());
  return IniLines(list.get());
}

std::vector<String> Section(TCustomIniFile* AIni, const String& ASection)
{
  TOwnedPtr<TStringList> list(New<TStringList>());
  AIni->ReadSection(ASection, list.get());
  return IniLines(list.get());
}

std::vector<String> SectionValues(TCustomIniFile* AIni, const String& ASection)
{
  TOwnedPtr<TStringList> list(New<TStringList>());
  AIni->ReadSectionValues(ASection, list.get());
  return IniLines(list.get());
}

std::string AnsiBytes(const String& AText)
{
  const TBytes bytes = TEncoding::Default()->GetBytes(AText);
  return std::string(bytes.begin(), bytes.end());
}

// An ini file in memory only, loaded from text lines.
TOwnedPtr<TMemIniFile> IniOf(const String& AText)
{
  TOwnedPtr<TMemIniFile> ini(New<TMemIniFile>(String()));
  TOwnedPtr<TStringList> lines(New<TStringList>());
  lines->SetText(AText);
  ini->SetStrings(lines.get());
  return ini;
}

}  // namespace

// ---------------------------------------------------------------------------
// Loading and writing files

TEST(TMemIniFile, LoadsEachEncodingAndWritesItBackWithCRLFLines)
{
  struct Case {
    const char* Label;
    std::string Bytes;
    TEncoding* Given;
    TEncoding* Kept;
  };
  const String text = L"[S\u00E9]\nK\u00E9y=v\u00E4lue\n";
  const Case cases[] = {
      {"UTF-8 with BOM", "\xEF\xBB\xBF[S\xC3\xA9]\nK\xC3\xA9y=v\xC3\xA4lue\n", nullptr, TEncoding::UTF8()},
      {"UTF-8 given, no BOM", "[S\xC3\xA9]\nK\xC3\xA9y=v\xC3\xA4lue\n", TEncoding::UTF8(), TEncoding::UTF8()},
      {"UTF-16 LE with BOM", std::string("\xFF\xFE", 2) + [&] {
         const TBytes b = TEncoding::Unicode()->GetBytes(text);
         return std::string(b.begin(), b.end());
       }(),
       nullptr, TEncoding::Unicode()},
      {"ANSI, no BOM", AnsiBytes(text), nullptr, TEncoding::Default()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Label);
    TempFile file(L"enc.ini");
    file.Write(c.Bytes);
    TOwnedPtr<TMemIniFile> ini(New<TMemIniFile>(file.Path(), c.Given));
    EXPECT_EQ(ini->GetEncoding(), c.Kept);
    EXPECT_EQ(ini->ReadString(L"S\u00E9", L"K\u00E9y", L"?"), L"v\u00E4lue");

    ini->WriteString(L"T", L"A", L"1");
    ini->UpdateFile();
    const TBytes expected = c.Kept->GetBytes(L"[S\u00E9]\r\nK\u00E9y=v\u00E4lue\r\n\r\n[T]\r\nA=1\r\n\r\n");
    // A given encoding is written with its byte-order mark too, so the file
    // says what it is from then on.
    const TBytes bom = c.Kept->GetPreamble();
    EXPECT_EQ(file.Read(), std::string(bom.begin(), bom.end()) + std::string(expected.begin(), expected.end()));
  }
}

TEST(TMemIniFile, AMissingFileGivesAnEmptyIniThatUpdateFileCreates)
{
  TempFile file(L"missing.ini");
  TOwnedPtr<TMemIniFile> ini(New<TMemIniFile>(file.Path()));
  EXPECT_TRUE(Sections(ini.get()).empty());
  EXPECT_EQ(ini->GetEncoding(), nullptr);
  ini->WriteString(L"Main", L"Version", L"2");
  ini->UpdateFile();
  EXPECT_EQ(file.Read(), "[Main]\r\nVersion=2\r\n\r\n");
}

// The layout the property storage writes: a version section, then object
// sections that begin with an entry of empty name and empty value.
TEST(TMemIniFile, StorageLayoutInUTF8WithBOM)
{
  TempFile file(L"layout.ini");
  {
    TOwnedPtr<TMemIniFile> ini(New<TMemIniFile>(file.Path()));
    ini->SetEncoding(TEncoding::UTF8());
    ini->WriteInteger(L"Main", L"Version", 2);
    ini->WriteString(L"Layout: TLayout", L"", L"");
    ini->WriteString(L"Layout/Group: TGroup", L"", L"");
    ini->WriteString(L"Layout: TLayout", L"Caption", L"\"A\\\\B\"");
    ini->UpdateFile();
  }
  EXPECT_EQ(file.Read(),
            "\xEF\xBB\xBF[Main]\r\nVersion=2\r\n\r\n"
            "[Layout: TLayout]\r\n=\r\nCaption=\"A\\\\B\"\r\n\r\n"
            "[Layout/Group: TGroup]\r\n=\r\n\r\n");

  TOwnedPtr<TMemIniFile> reread(New<TMemIniFile>(file.Path()));
  EXPECT_EQ(reread->GetEncoding(), TEncoding::UTF8());
  EXPECT_EQ(Sections(reread.get()), (std::vector<String>{L"Main", L"Layout: TLayout", L"Layout/Group: TGroup"}));
  EXPECT_EQ(Section(reread.get(), L"layout: tlayout"), (std::vector<String>{L"", L"Caption"}));
  EXPECT_EQ(Section(reread.get(), L"Layout/Group: TGroup"), (std::vector<String>{L""}));
  EXPECT_EQ(reread->ReadInteger(L"MAIN", L"version", -1), 2);
}

// ---------------------------------------------------------------------------
// Parsing and lookup

TEST(TMemIniFile, ParsesLinesAsTheFrameworkDoes)
{
  TOwnedPtr<TMemIniFile> ini = IniOf(
      L"orphan=before any section\n"
      L"[ First ]\n"
      L"; a comment\n"
      L"\n"
      L"  Name  =  padded value  \n"
      L"=\n"
      L"no separator\n"
      L"Url=a=b\n"
      L"[Second]\n"
      L"x=1\n"
      L"[first]\n"
      L"y=2\n");
  EXPECT_EQ(Sections(ini.get()), (std::vector<String>{L"First", L"Second"}));
  EXPECT_EQ(ini->ReadString(L"First", L"Name", L"?"), L"padded value");
  EXPECT_EQ(ini->ReadString(L"First", L"Url", L"?"), L"a=b");
  EXPECT_EQ(ini->ReadString(L"First", L"", L"?"), L"");
  EXPECT_TRUE(ini->ValueExists(L"First", L""));
  EXPECT_FALSE(ini->ValueExists(L"First", L"no separator"));
  EXPECT_EQ(ini->ReadString(L"First", L"orphan", L"?"), L"?");
  // A repeated section continues the first one.
  EXPECT_EQ(Section(ini.get(), L"First"), (std::vector<String>{L"Name", L"", L"Url", L"y"}));
  EXPECT_EQ(SectionValues(ini.get(), L"First"),
            (std::vector<String>{L"Name=padded value", L"=", L"no separator", L"Url=a=b", L"y=2"}));

  TOwnedPtr<TStringList> lines(New<TStringList>());
  ini->GetStrings(lines.get());
  EXPECT_EQ(IniLines(lines.get()), (std::vector<String>{L"[First]", L"Name=padded value", L"=", L"no separator",
                                                     L"Url=a=b", L"y=2", L"", L"[Second]", L"x=1", L""}));
}

TEST(TMemIniFile, NamesIgnoreCaseUnlessCaseSensitive)
{
  TOwnedPtr<TMemIniFile> ini = IniOf(L"[Sect\u00C9]\nKey=1\n");
  struct Case {
    const wchar_t* Section;
    const wchar_t* Key;
    bool Found;
    bool FoundCaseSensitive;
  };
  const Case cases[] = {
      {L"Sect\u00C9", L"Key", true, true},
      {L"SECT\u00C9", L"KEY", true, false},
      {L"sect\u00E9", L"key", true, false},
      {L"Sect", L"Key", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << String(c.Section) << L"/" << String(c.Key));
    ini->SetCaseSensitive(false);
    EXPECT_EQ(ini->ValueExists(c.Section, c.Key), c.Found);
    ini->SetCaseSensitive(true);
    EXPECT_EQ(ini->ValueExists(c.Section, c.Key), c.FoundCaseSensitive);
  }

  // Writing with other letter cases replaces the value and keeps the first
  // spelling of the names.
  ini->SetCaseSensitive(false);
  ini->WriteString(L"SECT\u00C9", L"KEY", L"2");
  EXPECT_EQ(SectionValues(ini.get(), L"sect\u00E9"), (std::vector<String>{L"Key=2"}));
  ini->SetCaseSensitive(true);
  ini->WriteString(L"SECT\u00C9", L"KEY", L"3");
  EXPECT_EQ(Sections(ini.get()), (std::vector<String>{L"Sect\u00C9", L"SECT\u00C9"}));
}

TEST(TMemIniFile, SectionsAndEntriesKeepTheirInsertionOrder)
{
  TOwnedPtr<TMemIniFile> ini(New<TMemIniFile>(String()));
  for (const wchar_t* section : {L"Zeta", L"Alpha", L"Mid"})
    for (const wchar_t* key : {L"z", L"a", L"m"})
      ini->WriteString(section, key, section);
  EXPECT_EQ(Sections(ini.get()), (std::vector<String>{L"Zeta", L"Alpha", L"Mid"}));
  EXPECT_EQ(Section(ini.get(), L"Alpha"), (std::vector<String>{L"z", L"a", L"m"}));

  ini->EraseSection(L"alpha");
  ini->DeleteKey(L"Zeta", L"A");
  ini->DeleteKey(L"Nowhere", L"a");
  ini->WriteString(L"Alpha", L"new", L"1");
  EXPECT_EQ(Sections(ini.get()), (std::vector<String>{L"Zeta", L"Mid", L"Alpha"}));
  EXPECT_EQ(Section(ini.get(), L"Zeta"), (std::vector<String>{L"z", L"m"}));

  ini->Clear();
  EXPECT_TRUE(Sections(ini.get()).empty());
}

TEST(TMemIniFile, SectionExistsNeedsANamedValue)
{
  TOwnedPtr<TMemIniFile> ini = IniOf(L"[Empty]\n[Raw]\njust text\n[Blank]\n=\n[Full]\na=1\n");
  EXPECT_FALSE(ini->SectionExists(L"Empty"));
  EXPECT_FALSE(ini->SectionExists(L"Raw"));
  EXPECT_TRUE(ini->SectionExists(L"blank"));
  EXPECT_TRUE(ini->SectionExists(L"FULL"));
  EXPECT_FALSE(ini->SectionExists(L"Missing"));
}

// ---------------------------------------------------------------------------
// Typed values

TEST(TCustomIniFile, IntegersBooleansAndFloatsFromText)
{
  TOwnedPtr<TMemIniFile> ini =
      IniOf(L"[S]\ndec=-42\ndollar=$1F\nhex=0x1f\nHEX=0X10\nbad=12a\nempty=\none=1\nzero=0\nseven=7\n");
  struct IntCase {
    const wchar_t* Key;
    int Expected;
  };
  const IntCase ints[] = {{L"dec", -42}, {L"dollar", 31}, {L"hex", 31},     {L"bad", 99},
                          {L"empty", 99}, {L"missing", 99}, {L"seven", 7}};
  for (const IntCase& c : ints)
    EXPECT_EQ(ini->ReadInteger(L"S", c.Key, 99), c.Expected) << String(c.Key);

  struct BoolCase {
    const wchar_t* Key;
    bool Default;
    bool Expected;
  };
  const BoolCase bools[] = {{L"one", false, true},      {L"zero", true, false},    {L"seven", false, true},
                            {L"missing", true, true},   {L"missing", false, false}, {L"bad", true, true}};
  for (const BoolCase& c : bools)
    EXPECT_EQ(ini->ReadBool(L"S", c.Key, c.Default), c.Expected) << String(c.Key);

  ini->WriteBool(L"W", L"t", true);
  ini->WriteBool(L"W", L"f", false);
  ini->WriteInteger(L"W", L"i", -7);
  EXPECT_EQ(SectionValues(ini.get(), L"W"), (std::vector<String>{L"t=1", L"f=0", L"i=-7"}));

  for (double value : {1.5, -0.001, 12345678.25, 1e20}) {
    ini->WriteFloat(L"F", L"x", value);
    EXPECT_EQ(ini->ReadString(L"F", L"x", String()), FloatToStr(value));
    EXPECT_DOUBLE_EQ(ini->ReadFloat(L"F", L"x", 0), value);
  }
  EXPECT_EQ(ini->ReadFloat(L"S", L"bad", 2.5), 2.5);
  EXPECT_EQ(ini->ReadFloat(L"S", L"missing", 2.5), 2.5);
}

TEST(TCustomIniFile, BinaryStreamsAsTwoHexDigitsPerByte)
{
  TOwnedPtr<TMemIniFile> ini(New<TMemIniFile>(String()));
  TOwnedPtr<TMemoryStream> source(New<TMemoryStream>());
  const unsigned char bytes[] = {0x00, 0x05, 0xAB, 0xFF, 0x10};
  source->WriteBuffer(bytes, sizeof(bytes));
  // Only the bytes from the position on are written; the position stays.
  source->SetPosition(1);
  ini->WriteBinaryStream(L"S", L"Data", source.get());
  EXPECT_EQ(source->GetPosition(), 1);
  EXPECT_EQ(ini->ReadString(L"S", L"Data", String()), L"05ABFF10");

  TOwnedPtr<TMemoryStream> target(New<TMemoryStream>());
  target->WriteBuffer("x", 1);
  EXPECT_EQ(ini->ReadBinaryStream(L"S", L"Data", target.get()), 4);
  EXPECT_EQ(target->GetPosition(), 1);
  ASSERT_EQ(target->GetSize(), 5);
  EXPECT_EQ(std::string(static_cast<const char*>(target->Memory()), 5), std::string("x\x05\xAB\xFF\x10", 5));

  struct Case {
    const wchar_t* Text;
    std::string Expected;
  };
  const Case cases[] = {
      {L"", ""}, {L"0a0B", "\x0A\x0B"}, {L"01zz02", "\x01"}, {L"010", "\x01"}, {L"zz", ""},
  };
  for (const Case& c : cases) {
    ini->WriteString(L"S", L"Text", c.Text);
    target->Clear();
    EXPECT_EQ(ini->ReadBinaryStream(L"S", L"Text", target.get()), static_cast<int>(c.Expected.size()))
        << String(c.Text);
    EXPECT_EQ(std::string(static_cast<const char*>(target->Memory()), static_cast<std::size_t>(target->GetSize())),
              c.Expected);
  }
  target->Clear();
  EXPECT_EQ(ini->ReadBinaryStream(L"S", L"Missing", target.get()), 0);
}

// ---------------------------------------------------------------------------
// Strings, renaming

TEST(TMemIniFile, StringsRoundTripAndRenameReloads)
{
  TOwnedPtr<TMemIniFile> ini = IniOf(L"[A]\nx=1\n=\n[B]\ny=2\n");
  TOwnedPtr<TStringList> lines(New<TStringList>());
  ini->GetStrings(lines.get());
  TOwnedPtr<TMemIniFile> copy(New<TMemIniFile>(String()));
  copy->SetStrings(lines.get());
  TOwnedPtr<TStringList> again(New<TStringList>());
  copy->GetStrings(again.get());
  EXPECT_EQ(IniLines(again.get()), IniLines(lines.get()));

  TempFile file(L"rename.ini");
  file.Write("[C]\nz=3\n");
  copy->Rename(file.Path(), false);
  EXPECT_EQ(copy->GetFileName(), file.Path());
  EXPECT_EQ(copy->ReadString(L"A", L"x", String()), L"1");
  copy->Rename(file.Path(), true);
  EXPECT_EQ(Sections(copy.get()), (std::vector<String>{L"C"}));
  EXPECT_EQ(copy->ReadString(L"C", L"z", String()), L"3");
}
