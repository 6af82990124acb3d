#include "platform/rtl/IniFiles.h"

#include <algorithm>
#include <cstdint>

#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

namespace rtl {

namespace {

int HexDigitValue(Char C)
{
  if (C >= L'0' && C <= L'9')
    return C - L'0';
  if (C >= L'A' && C <= L'F')
    return C - L'A' + 10;
  if (C >= L'a' && C <= L'f')
    return C - L'a' + 10;
  return -1;
}

// The framework's HexToBin stops at the first pair that is not hexadecimal;
// what follows is not data.
TBytes HexToBytes(const String& AText)
{
  TBytes result;
  result.reserve(AText.size() / 2);
  for (std::size_t i = 0; i + 1 < AText.size(); i += 2) {
    const int high = HexDigitValue(AText[i]);
    const int low = HexDigitValue(AText[i + 1]);
    if (high < 0 || low < 0)
      break;
    result.push_back(static_cast<std::uint8_t>(high * 16 + low));
  }
  return result;
}

String BytesToHex(const TBytes& ABytes)
{
  static constexpr wchar_t Digits[] = L"0123456789ABCDEF";
  String result;
  result.reserve(ABytes.size() * 2);
  for (std::uint8_t b : ABytes) {
    result += Digits[b >> 4];
    result += Digits[b & 15];
  }
  return result;
}

bool FileExists(const String& AFileName)
{
  const DWORD attributes = GetFileAttributesW(AFileName.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

// ---------------------------------------------------------------------------
// TCustomIniFile

bool TCustomIniFile::SectionExists(const String& ASection)
{
  TOwnedPtr<TStringList> names(New<TStringList>());
  ReadSection(ASection, names.get());
  return names->GetCount() > 0;
}

bool TCustomIniFile::ValueExists(const String& ASection, const String& AIdent)
{
  TOwnedPtr<TStringList> names(New<TStringList>());
  ReadSection(ASection, names.get());
  return names->IndexOf(AIdent) >= 0;
}

int TCustomIniFile::ReadInteger(const String& ASection, const String& AIdent, int ADefault)
{
  return StrToIntDef(ReadString(ASection, AIdent, String()), ADefault);
}

void TCustomIniFile::WriteInteger(const String& ASection, const String& AIdent, int AValue)
{
  WriteString(ASection, AIdent, IntToStr(AValue));
}

bool TCustomIniFile::ReadBool(const String& ASection, const String& AIdent, bool ADefault)
{
  return ReadInteger(ASection, AIdent, ADefault ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& ASection, const String& AIdent, bool AValue)
{
  WriteString(ASection, AIdent, AValue ? L"1" : L"0");
}

double TCustomIniFile::ReadFloat(const String& ASection, const String& AName, double ADefault)
{
  double value;
  const String text = ReadString(ASection, AName, String());
  return !text.empty() && TryStrToFloat(text, value) ? value : ADefault;
}

void TCustomIniFile::WriteFloat(const String& ASection, const String& AName, double AValue)
{
  WriteString(ASection, AName, FloatToStr(AValue));
}

TBytes TCustomIniFile::StreamRemainder(TStream* AStream)
{
  const std::int64_t start = AStream->GetPosition();
  TBytes bytes(static_cast<std::size_t>(std::max<std::int64_t>(AStream->GetSize() - start, 0)));
  if (!bytes.empty()) {
    AStream->ReadBuffer(bytes.data(), static_cast<int>(bytes.size()));
    AStream->SetPosition(start);
  }
  return bytes;
}

int TCustomIniFile::PutBytes(TStream* AStream, const TBytes& ABytes)
{
  if (ABytes.empty())
    return 0;
  const std::int64_t start = AStream->GetPosition();
  AStream->WriteBuffer(ABytes.data(), static_cast<int>(ABytes.size()));
  AStream->SetPosition(start);
  return static_cast<int>(ABytes.size());
}

int TCustomIniFile::ReadBinaryStream(const String& ASection, const String& AName, TStream* AValue)
{
  return PutBytes(AValue, HexToBytes(ReadString(ASection, AName, String())));
}

void TCustomIniFile::WriteBinaryStream(const String& ASection, const String& AName, TStream* AValue)
{
  WriteString(ASection, AName, BytesToHex(StreamRemainder(AValue)));
}

// ---------------------------------------------------------------------------
// TMemIniFile

void TMemIniFile::Create(const String& AFileName, TEncoding* AEncoding, bool ACaseSensitive)
{
  inherited::Create(AFileName);
  FEncoding = AEncoding;
  FCaseSensitive = ACaseSensitive;
  LoadValues();
}

String TMemIniFile::KeyOf(const String& AName) const
{
  return FCaseSensitive ? AName : AnsiUpperCase(AName);
}

TMemIniFile::TSection* TMemIniFile::FindSection(const String& AName)
{
  const String key = KeyOf(AName);
  auto found = std::find_if(FSections.begin(), FSections.end(), [&](const TSection& S) { return S.Key == key; });
  return found == FSections.end() ? nullptr : &*found;
}

TMemIniFile::TSection& TMemIniFile::SectionFor(const String& AName)
{
  if (TSection* section = FindSection(AName))
    return *section;
  return FSections.emplace_back(TSection{AName, KeyOf(AName), {}});
}

TMemIniFile::TEntry* TMemIniFile::FindEntry(TSection& ASection, const String& AKey)
{
  auto found = std::find_if(ASection.Entries.begin(), ASection.Entries.end(),
                            [&](const TEntry& E) { return !E.Raw && E.Key == AKey; });
  return found == ASection.Entries.end() ? nullptr : &*found;
}

String TMemIniFile::ReadString(const String& ASection, const String& AIdent, const String& ADefault)
{
  TSection* section = FindSection(ASection);
  TEntry* entry = section ? FindEntry(*section, KeyOf(AIdent)) : nullptr;
  return entry ? entry->Value : ADefault;
}

void TMemIniFile::WriteString(const String& ASection, const String& AIdent, const String& AValue)
{
  TSection& section = SectionFor(ASection);
  const String key = KeyOf(AIdent);
  if (TEntry* entry = FindEntry(section, key))
    entry->Value = AValue;
  else
    section.Entries.push_back(TEntry{AIdent, key, AValue, false});
}

bool TMemIniFile::ValueExists(const String& ASection, const String& AIdent)
{
  TSection* section = FindSection(ASection);
  return section && FindEntry(*section, KeyOf(AIdent));
}

void TMemIniFile::ReadSections(TStrings* AStrings)
{
  AStrings->BeginUpdate();
  Finally endUpdate([&] { AStrings->EndUpdate(); });
  AStrings->Clear();
  for (const TSection& section : FSections)
    AStrings->Add(section.Name);
}

void TMemIniFile::ReadSection(const String& ASection, TStrings* AStrings)
{
  AStrings->BeginUpdate();
  Finally endUpdate([&] { AStrings->EndUpdate(); });
  AStrings->Clear();
  if (TSection* section = FindSection(ASection))
    for (const TEntry& entry : section->Entries)
      if (!entry.Raw)
        AStrings->Add(entry.Name);
}

void TMemIniFile::ReadSectionValues(const String& ASection, TStrings* AStrings)
{
  AStrings->BeginUpdate();
  Finally endUpdate([&] { AStrings->EndUpdate(); });
  AStrings->Clear();
  if (TSection* section = FindSection(ASection))
    for (const TEntry& entry : section->Entries)
      AStrings->Add(entry.Raw ? entry.Name : entry.Name + L'=' + entry.Value);
}

void TMemIniFile::EraseSection(const String& ASection)
{
  const String key = KeyOf(ASection);
  std::erase_if(FSections, [&](const TSection& S) { return S.Key == key; });
}

void TMemIniFile::DeleteKey(const String& ASection, const String& AIdent)
{
  if (TSection* section = FindSection(ASection)) {
    const String key = KeyOf(AIdent);
    auto found = std::find_if(section->Entries.begin(), section->Entries.end(),
                              [&](const TEntry& E) { return !E.Raw && E.Key == key; });
    if (found != section->Entries.end())
      section->Entries.erase(found);
  }
}

void TMemIniFile::UpdateFile()
{
  TOwnedPtr<TStringList> lines(New<TStringList>());
  GetStrings(lines.get());
  lines->SaveToFile(GetFileName(), FEncoding);
}

void TMemIniFile::Clear()
{
  FSections.clear();
}

void TMemIniFile::GetStrings(TStrings* AList)
{
  AList->BeginUpdate();
  Finally endUpdate([&] { AList->EndUpdate(); });
  for (const TSection& section : FSections) {
    AList->Add(L'[' + section.Name + L']');
    for (const TEntry& entry : section.Entries)
      AList->Add(entry.Raw ? entry.Name : entry.Name + L'=' + entry.Value);
    AList->Add(String());
  }
}

void TMemIniFile::AddLine(TSection& ASection, const String& ALine)
{
  const std::size_t separator = ALine.find(L'=');
  if (separator == String::npos) {
    ASection.Entries.push_back(TEntry{ALine, String(), String(), true});
    return;
  }
  String name = Trim(ALine.substr(0, separator));
  String key = KeyOf(name);
  ASection.Entries.push_back(TEntry{std::move(name), std::move(key), Trim(ALine.substr(separator + 1)), false});
}

void TMemIniFile::SetStrings(TStrings* AList)
{
  Clear();
  TSection* section = nullptr;
  for (int i = 0; i < AList->GetCount(); ++i) {
    const String line = Trim(AList->GetStrings(i));
    if (line.empty() || line.front() == L';')
      continue;
    if (line.front() == L'[' && line.back() == L']')
      // The pointer stays valid until the next section is added, which
      // replaces it.
      section = &SectionFor(Trim(line.substr(1, line.size() - 2)));
    else if (section)
      AddLine(*section, line);
  }
}

void TMemIniFile::Rename(const String& AFileName, bool AReload)
{
  SetFileName(AFileName);
  if (AReload)
    LoadValues();
}

void TMemIniFile::SetCaseSensitive(bool AValue)
{
  if (AValue == FCaseSensitive)
    return;
  FCaseSensitive = AValue;
  for (TSection& section : FSections) {
    section.Key = KeyOf(section.Name);
    for (TEntry& entry : section.Entries)
      if (!entry.Raw)
        entry.Key = KeyOf(entry.Name);
  }
}

void TMemIniFile::LoadValues()
{
  const String& fileName = GetFileName();
  if (fileName.empty() || !FileExists(fileName)) {
    Clear();
    return;
  }
  TOwnedPtr<TFileStream> stream(New<TFileStream>(fileName, fmOpenRead | fmShareDenyWrite));
  TBytes buffer(static_cast<std::size_t>(stream->GetSize()));
  if (!buffer.empty())
    stream->ReadBuffer(buffer.data(), static_cast<int>(buffer.size()));
  const int preamble = TEncoding::GetBufferEncoding(buffer, FEncoding);
  TOwnedPtr<TStringList> lines(New<TStringList>());
  lines->SetText(FEncoding->GetString(buffer, preamble, static_cast<int>(buffer.size()) - preamble));
  SetStrings(lines.get());
}

}  // namespace rtl
