// The IniFiles unit:
//   TCustomIniFile: the abstract settings file of sections and named values,
//     with the typed reads and writes built on its strings
//   TMemIniFile: a settings file held in memory, loaded from and written to
//     an ini file
// The registry-backed settings file is TRegistryIniFile in Registry.h.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/rtl/System.h"

namespace rtl {

class TEncoding;
class TStream;
class TStrings;

class TCustomIniFile : public TObject {
  RTL_CLASS(TCustomIniFile, TObject)

 public:
  void Create(const String& AFileName) { FFileName = AFileName; }

  const String& GetFileName() const { return FFileName; }

  // True when the section has at least one named value (ReadSection lists
  // something): a section header alone does not make a section exist.
  virtual bool SectionExists(const String& ASection);
  virtual bool ValueExists(const String& ASection, const String& AIdent);

  virtual String ReadString(const String& ASection, const String& AIdent, const String& ADefault) = 0;
  virtual void WriteString(const String& ASection, const String& AIdent, const String& AValue) = 0;
  // Decimal text, or hexadecimal after "$" or "0x"; ADefault when the value
  // is missing or no integer.
  virtual int ReadInteger(const String& ASection, const String& AIdent, int ADefault);
  virtual void WriteInteger(const String& ASection, const String& AIdent, int AValue);
  // An integer; anything but 0 is true. Written as "1" or "0".
  virtual bool ReadBool(const String& ASection, const String& AIdent, bool ADefault);
  virtual void WriteBool(const String& ASection, const String& AIdent, bool AValue);
  // The text of FloatToStr and StrToFloat with the user's format settings;
  // ADefault when the value is missing or no number.
  virtual double ReadFloat(const String& ASection, const String& AName, double ADefault);
  virtual void WriteFloat(const String& ASection, const String& AName, double AValue);
  // Binary data as two hexadecimal digits per byte. Writing takes AValue's
  // bytes from its position to its end and leaves the position where it
  // was. Reading puts the bytes at AValue's position, moves the position
  // back to where they start, and answers their count (0 when missing); the
  // digits up to the first that is not hexadecimal count.
  virtual int ReadBinaryStream(const String& ASection, const String& AName, TStream* AValue);
  virtual void WriteBinaryStream(const String& ASection, const String& AName, TStream* AValue);

  // These replace the contents of AStrings: the section names, the names
  // of a section's values, or its "name=value" lines.
  virtual void ReadSections(TStrings* AStrings) = 0;
  virtual void ReadSection(const String& ASection, TStrings* AStrings) = 0;
  virtual void ReadSectionValues(const String& ASection, TStrings* AStrings) = 0;
  virtual void EraseSection(const String& ASection) = 0;
  virtual void DeleteKey(const String& ASection, const String& AIdent) = 0;
  // Writes what is held in memory to the file.
  virtual void UpdateFile() = 0;

 protected:
  void SetFileName(const String& AFileName) { FFileName = AFileName; }
  // The binary-stream rules of every settings file: the bytes from the
  // position to the end, the position kept; bytes put at the position, the
  // position moved back to their start, their count answered.
  static std::vector<std::uint8_t> StreamRemainder(TStream* AStream);
  static int PutBytes(TStream* AStream, const std::vector<std::uint8_t>& ABytes);

 private:
  String FFileName;
};

// An ini file held in memory. Create loads the file when it exists: with no
// encoding given, a byte-order mark picks it, else the system's ANSI code
// page; that encoding is kept for UpdateFile, which writes every section as
// its "[name]" line, its entries and an empty line, each ending in CR LF.
//
// Loading drops blank lines, lines starting with ";" and lines before the
// first section, and trims names and values at "="; a line without "=" is
// kept as it is but names no value. Sections keep the order they first
// appeared in (a section that appears twice is one section), and so do the
// entries of a section; an entry with an empty name ("=") is an entry like
// any other. Section and value names compare ignoring case (as
// AnsiUpperCase folds them) unless CaseSensitive.
class TMemIniFile : public TCustomIniFile {
  RTL_CLASS(TMemIniFile, TCustomIniFile)

 public:
  void Create(const String& AFileName) { Create(AFileName, nullptr, false); }
  void Create(const String& AFileName, TEncoding* AEncoding) { Create(AFileName, AEncoding, false); }
  void Create(const String& AFileName, TEncoding* AEncoding, bool ACaseSensitive);

  String ReadString(const String& ASection, const String& AIdent, const String& ADefault) override;
  // Replaces the first entry of that name, else appends one; makes the
  // section when it is new.
  void WriteString(const String& ASection, const String& AIdent, const String& AValue) override;
  bool ValueExists(const String& ASection, const String& AIdent) override;
  void ReadSections(TStrings* AStrings) override;
  void ReadSection(const String& ASection, TStrings* AStrings) override;
  void ReadSectionValues(const String& ASection, TStrings* AStrings) override;
  void EraseSection(const String& ASection) override;
  void DeleteKey(const String& ASection, const String& AIdent) override;
  // Write errors of the file raise as TFileStream raises them.
  void UpdateFile() override;

  void Clear();
  // The lines UpdateFile writes; SetStrings replaces the contents with
  // lines read as a file is.
  void GetStrings(TStrings* AList);
  void SetStrings(TStrings* AList);
  // Gives the file another name and, when AReload, loads it (emptying the
  // contents when it does not exist).
  void Rename(const String& AFileName, bool AReload);

  bool GetCaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool AValue);
  // Null until the file was loaded or an encoding was given: UpdateFile then
  // writes the ANSI code page. The file does not free the encoding.
  TEncoding* GetEncoding() const { return FEncoding; }
  void SetEncoding(TEncoding* AEncoding) { FEncoding = AEncoding; }

 private:
  struct TEntry {
    // Key is the name as it compares (folded unless case-sensitive).
    String Name;
    String Key;
    String Value;
    // A line without "=": Name holds the whole line and no lookup finds it.
    bool Raw;
  };
  struct TSection {
    String Name;
    String Key;
    std::vector<TEntry> Entries;
  };

  String KeyOf(const String& AName) const;
  TSection* FindSection(const String& AName);
  TSection& SectionFor(const String& AName);
  static TEntry* FindEntry(TSection& ASection, const String& AKey);
  void AddLine(TSection& ASection, const String& ALine);
  void LoadValues();

  std::vector<TSection> FSections;
  TEncoding* FEncoding;
  bool FCaseSensitive;
};

}  // namespace rtl
