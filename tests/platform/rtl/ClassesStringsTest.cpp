#include "platform/rtl/Classes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/TestMutation.h"

using namespace rtl;

namespace {

std::vector<String> Lines(TStrings* AStrings)
{
  std::vector<String> result;
  for (int i = 0; i < AStrings->GetCount(); ++i)
    result.push_back(AStrings->GetStrings(i));
  return result;
}

void Fill(TStrings* AStrings, std::initializer_list<const wchar_t*> ALines)
{
  AStrings->Clear();
  for (const wchar_t* line : ALines)
    AStrings->Add(line);
}

template <class E, class F>
String StringsErrorText(F AAction)
{
  try {
    AAction();
  } catch (const E& Error) {
    return Error.Message();
  }
  return L"(not raised)";
}

using L = std::vector<String>;

}  // namespace

TEST(TStrings, TextSplitsAtEveryKindOfLineBreakAndJoinsWithCRLF)
{
  struct Case {
    const wchar_t* Text;
    L Lines;
    const wchar_t* JoinedAgain;
  };
  const Case cases[] = {
      {L"", {}, L""},
      {L"a", {L"a"}, L"a\r\n"},
      {L"a\r\nb\r\n", {L"a", L"b"}, L"a\r\nb\r\n"},
      {L"a\r\nb", {L"a", L"b"}, L"a\r\nb\r\n"},
      {L"a\nb\n", {L"a", L"b"}, L"a\r\nb\r\n"},
      {L"a\rb\r", {L"a", L"b"}, L"a\r\nb\r\n"},
      {L"a\r\n\r\n", {L"a", L""}, L"a\r\n\r\n"},
      {L"\r\n", {L""}, L"\r\n"},
      {L"a\n\rb", {L"a", L"", L"b"}, L"a\r\n\r\nb\r\n"},
      {L"a\r\r\nb", {L"a", L"", L"b"}, L"a\r\n\r\nb\r\n"},
      {L" x \t", {L" x \t"}, L" x \t\r\n"},
  };
  TOwnedPtr<TStringList> list(New<TStringList>());
  for (const Case& c : cases) {
    list->SetText(c.Text);
    EXPECT_EQ(Lines(list.get()), c.Lines) << c.Text;
    EXPECT_EQ(list->GetText(), c.JoinedAgain) << c.Text;
  }
}

TEST(TStringList, SortedListsFollowDuplicatesAndCaseRules)
{
  struct Case {
    TDuplicates Duplicates;
    bool CaseSensitive;
    L Expected;
  };
  const Case cases[] = {
      {dupIgnore, false, {L"a", L"b"}},
      {dupAccept, false, {L"a", L"b", L"b", L"B"}},
      {dupIgnore, true, {L"a", L"b", L"B"}},
      {dupAccept, true, {L"a", L"b", L"b", L"B"}},
  };
  for (const Case& c : cases) {
    TOwnedPtr<TStringList> list(New<TStringList>());
    list->SetSorted(true);
    list->SetDuplicates(c.Duplicates);
    list->SetCaseSensitive(c.CaseSensitive);
    for (const wchar_t* line : {L"b", L"a", L"B", L"b"})
      list->Add(line);
    // Equal lines keep no particular order among themselves; compare them
    // as a multiset within the run of equals by sorting case-sensitively.
    list->SetCaseSensitive(true);
    EXPECT_EQ(Lines(list.get()), c.Expected) << c.Duplicates << " " << c.CaseSensitive;
  }

  TOwnedPtr<TStringList> list(New<TStringList>());
  list->SetSorted(true);
  list->SetDuplicates(dupError);
  list->Add(L"x");
  EXPECT_EQ(StringsErrorText<EListError>([&] { list->Add(L"X"); }), L"String list does not allow duplicates");
  EXPECT_EQ(StringsErrorText<EListError>([&] { list->Insert(0, L"y"); }), L"Operation not allowed on sorted list");
  EXPECT_EQ(StringsErrorText<EListError>([&] { list->SetStrings(0, L"y"); }), L"Operation not allowed on sorted list");
  EXPECT_EQ(StringsErrorText<EListError>([&] { list->Move(0, 0); list->Add(L"z"); list->Move(0, 1); }),
            L"Operation not allowed on sorted list");
  EXPECT_EQ(Lines(list.get()), (L{L"x", L"z"})) << "a refused move loses no line";
}

TEST(TStringList, ComparesByTheUsersLocaleIgnoringCaseByDefault)
{
  TOwnedPtr<TStringList> list(New<TStringList>());
  EXPECT_FALSE(list->GetCaseSensitive());
  Fill(list.get(), {L"zebra", L"\u00C4pfel", L"Birne", L"apfel", L"Zitrone"});
  list->Sort();
  // Ordinal comparison would put the upper-case and accented words first or
  // last; the locale puts them among their letters.
  EXPECT_EQ(Lines(list.get()), (L{L"apfel", L"\u00C4pfel", L"Birne", L"zebra", L"Zitrone"}));
  EXPECT_EQ(list->IndexOf(L"BIRNE"), 2);
  list->SetCaseSensitive(true);
  EXPECT_EQ(list->IndexOf(L"BIRNE"), -1);

  list->SetCaseSensitive(false);
  list->SetSorted(true);
  int index = -1;
  EXPECT_TRUE(list->Find(L"ZEBRA", index));
  EXPECT_EQ(index, 3);
  EXPECT_FALSE(list->Find(L"banane", index));
  EXPECT_EQ(index, 2) << "where the line would go";
  EXPECT_EQ(list->IndexOf(L"zitrone"), 4);
}

namespace {

int Reverse(TStringList* AList, int AIndex1, int AIndex2)
{
  return -AList->CompareLines(AIndex1, AIndex2);
}

int StringsErratic(TStringList*, int, int)
{
  static unsigned state = 777;
  state = state * 1103515245u + 12345u;
  return static_cast<int>(state >> 16 & 3) - 1;
}

int StringsAlwaysLess(TStringList*, int, int)
{
  return -1;
}

}  // namespace

TEST(TStringList, CustomSortUsesTheCallbackAndStaysInTheList)
{
  TOwnedPtr<TStringList> list(New<TStringList>());
  Fill(list.get(), {L"b", L"c", L"a"});
  list->CustomSort(&Reverse);
  EXPECT_EQ(Lines(list.get()), (L{L"c", L"b", L"a"}));

  for (TStringListSortCompare compare : {&StringsErratic, &StringsAlwaysLess}) {
    list->Clear();
    for (int i = 0; i < 300; ++i)
      list->AddObject(IntToStr(i), reinterpret_cast<TObject*>(static_cast<std::uintptr_t>(i + 1)));
    list->CustomSort(compare);
    std::vector<bool> seen(300);
    for (int i = 0; i < 300; ++i) {
      const int n = StrToInt(list->GetStrings(i));
      EXPECT_EQ(list->GetObjects(i), reinterpret_cast<TObject*>(static_cast<std::uintptr_t>(n + 1)))
          << "objects move with their lines";
      seen[n] = true;
    }
    EXPECT_EQ(std::count(seen.begin(), seen.end(), true), 300);
  }
}

namespace {

class TChangeCounter : public TObject {
  RTL_CLASS(TChangeCounter, TObject)

 public:
  std::vector<String> Log;
  void Changing(TObject*) { Log.push_back(L"changing"); }
  void Changed(TObject* ASender)
  {
    Log.push_back(L"changed " + IntToStr(static_cast<TStrings*>(ASender)->GetCount()));
  }
};

}  // namespace

TEST(TStringList, ReportsChangesOnceForAnUpdate)
{
  TOwnedPtr<TChangeCounter> counter(New<TChangeCounter>());
  TOwnedPtr<TStringList> list(New<TStringList>());
  list->SetOnChanging(TNotifyEvent::Bind<&TChangeCounter::Changing>(counter.get()));
  list->SetOnChange(TNotifyEvent::Bind<&TChangeCounter::Changed>(counter.get()));
  list->Add(L"a");
  list->BeginUpdate();
  list->Add(L"b");
  list->BeginUpdate();
  list->SetText(L"1\r\n2\r\n3");
  list->EndUpdate();
  list->Delete(0);
  list->EndUpdate();
  list->Clear();
  list->Clear();  // nothing to clear: no change
  EXPECT_EQ(counter->Log, (std::vector<String>{L"changing", L"changed 1", L"changing", L"changed 2", L"changing",
                                               L"changed 0"}));
}

TEST(TStrings, NamesAndValues)
{
  TOwnedPtr<TStringList> list(New<TStringList>());
  Fill(list.get(), {L"Width=10", L"plain", L"Color=red=ish", L"width=20"});
  EXPECT_EQ(list->GetNames(0), L"Width");
  EXPECT_EQ(list->GetNames(1), L"");
  EXPECT_EQ(list->GetValueFromIndex(2), L"red=ish");
  EXPECT_EQ(list->IndexOfName(L"WIDTH"), 0);
  EXPECT_EQ(list->GetValue(L"width"), L"10") << "the first line of the name";
  EXPECT_EQ(list->GetValue(L"plain"), L"");
  list->SetValue(L"Color", L"blue");
  list->SetValue(L"Height", L"5");
  list->SetValue(L"Width", L"");
  EXPECT_EQ(Lines(list.get()), (L{L"plain", L"Color=blue", L"width=20", L"Height=5"}));
  list->SetNameValueSeparator(L':');
  list->Add(L"Key:v");
  EXPECT_EQ(list->GetValue(L"key"), L"v");
}

TEST(TStrings, CommaAndDelimitedText)
{
  struct Case {
    L Lines;
    const wchar_t* Comma;
  };
  const Case cases[] = {
      {{L"a", L"b"}, L"a,b"},
      {{L"a b", L"c\"d", L"e,f"}, L"\"a b\",\"c\"\"d\",\"e,f\""},
      {{L""}, L"\"\""},
      {{L"a", L""}, L"a,"},
      {{}, L""},
  };
  TOwnedPtr<TStringList> list(New<TStringList>());
  for (const Case& c : cases) {
    list->Clear();
    for (const String& line : c.Lines)
      list->Add(line);
    EXPECT_EQ(list->GetCommaText(), c.Comma);
    list->SetCommaText(c.Comma);
    EXPECT_EQ(Lines(list.get()), c.Lines) << c.Comma;
  }
  list->SetCommaText(L"  one two , \"three, four\" ,five");
  EXPECT_EQ(Lines(list.get()), (L{L"one", L"two", L"three, four", L"five"}))
      << "blanks separate lines outside quotes";

  list->SetDelimiter(L';');
  list->SetStrictDelimiter(true);
  list->SetDelimitedText(L"a b;c");
  EXPECT_EQ(Lines(list.get()), (L{L"a b", L"c"}));
  EXPECT_EQ(list->GetDelimitedText(), L"a b;c");
  EXPECT_EQ(list->GetCommaText(), L"\"a b\",c") << "comma text ignores the delimiter settings";
}

namespace {

class TTracked : public TObject {
  RTL_CLASS(TTracked, TObject)

 public:
  void Create(int* ALive)
  {
    FLive = ALive;
    ++*FLive;
  }
  void Destroy() override
  {
    --*FLive;
    inherited::Destroy();
  }

 private:
  int* FLive;
};

}  // namespace

TEST(TStringList, OwnedObjectsAreFreedWithTheirLines)
{
  int live = 0;
  TStringList* list = New<TStringList>(true);
  for (const wchar_t* line : {L"a", L"b", L"c", L"d"})
    list->AddObject(line, New<TTracked>(&live));
  list->Delete(0);
  EXPECT_EQ(live, 3);
  list->Move(0, 2);
  list->Exchange(0, 1);
  EXPECT_EQ(live, 3) << "moving frees nothing";
  EXPECT_EQ(Lines(list), (L{L"d", L"c", L"b"}));
  list->Clear();
  EXPECT_EQ(live, 0);
  list->AddObject(L"e", New<TTracked>(&live));
  rtl::Free(list);
  EXPECT_EQ(live, 0);
}

TEST(TStrings, AssignCopiesLinesAndObjects)
{
  TOwnedPtr<TStringList> source(New<TStringList>());
  TOwnedPtr<TStringList> dest(New<TStringList>());
  source->AddObject(L"one", source.get());
  source->Add(L"two");
  dest->Add(L"old");
  dest->Assign(source.get());
  EXPECT_EQ(Lines(dest.get()), (L{L"one", L"two"}));
  EXPECT_EQ(dest->GetObjects(0), source.get());
  EXPECT_TRUE(dest->Equals(source.get()));
  dest->SetStrings(1, L"TWO");
  EXPECT_FALSE(dest->Equals(source.get()));
  EXPECT_EQ(StringsErrorText<EListError>([&] { dest->GetStrings(2); }), L"List index out of bounds (2)");
  EXPECT_EQ(StringsErrorText<EConvertError>([&] { dest->Assign(nullptr); }),
            L"Cannot assign a nil to a TStringList");
}

// Adding a list to itself adds each line once: the lines it adds are not
// taken up again, which would never end.
TEST(TStrings, AddStringsOfItselfDoublesTheLines)
{
  TOwnedPtr<TStringList> list(New<TStringList>());
  list->AddObject(L"a", list.get());
  list->Add(L"b");
  list->AddStrings(list.get());
  EXPECT_EQ(Lines(list.get()), (L{L"a", L"b", L"a", L"b"}));
  EXPECT_EQ(list->GetObjects(2), list.get());
}

// ---------------------------------------------------------------------------
// Files and encodings

namespace {

std::string Bytes(TMemoryStream* AStream)
{
  return std::string(static_cast<const char*>(AStream->Memory()), static_cast<std::size_t>(AStream->GetSize()));
}

}  // namespace

TEST(TStrings, SavesInTheAnsiCodePageWithoutAByteOrderMarkByDefault)
{
  TOwnedPtr<TStringList> list(New<TStringList>());
  TOwnedPtr<TMemoryStream> stream(New<TMemoryStream>());
  list->SetText(L"caf\u00E9\r\nx");
  list->SaveToStream(stream.get());
  const TBytes ansi = TEncoding::Default()->GetBytes(L"caf\u00E9\r\nx\r\n");
  EXPECT_EQ(Bytes(stream.get()), std::string(ansi.begin(), ansi.end()));

  struct Case {
    TEncoding* Encoding;
    const char* Expected;
    std::size_t Size;
  };
  const Case cases[] = {
      {TEncoding::UTF8(), "\xEF\xBB\xBF" "a\xC3\xA9\r\n", 8},
      {TEncoding::Unicode(), "\xFF\xFE" "a\0\xE9\0\r\0\n\0", 10},
      {TEncoding::BigEndianUnicode(), "\xFE\xFF" "\0a\0\xE9\0\r\0\n", 10},
  };
  list->SetText(L"a\u00E9");
  for (const Case& c : cases) {
    stream->Clear();
    list->SaveToStream(stream.get(), c.Encoding);
    EXPECT_EQ(Bytes(stream.get()), std::string(c.Expected, c.Size));
  }
  stream->Clear();
  list->SetWriteBOM(false);
  list->SaveToStream(stream.get(), TEncoding::UTF8());
  EXPECT_EQ(Bytes(stream.get()), "a\xC3\xA9\r\n");
}

TEST(TStrings, LoadRecognisesAByteOrderMarkElseUsesTheDefaultEncoding)
{
  struct Case {
    std::string Bytes;
    TEncoding* Found;
  };
  const TBytes ansi = TEncoding::Default()->GetBytes(L"\u00E9\r\nb");
  const Case cases[] = {
      {"\xEF\xBB\xBF\xC3\xA9\r\nb", TEncoding::UTF8()},
      {std::string("\xFF\xFE\xE9\0\r\0\n\0b\0", 10), TEncoding::Unicode()},
      {std::string("\xFE\xFF\0\xE9\0\r\0\n\0b", 10), TEncoding::BigEndianUnicode()},
      {std::string(ansi.begin(), ansi.end()), TEncoding::Default()},
  };
  TOwnedPtr<TStringList> list(New<TStringList>());
  TOwnedPtr<TMemoryStream> stream(New<TMemoryStream>());
  for (const Case& c : cases) {
    stream->Clear();
    stream->WriteBuffer(c.Bytes.data(), static_cast<int>(c.Bytes.size()));
    stream->SetPosition(0);
    list->LoadFromStream(stream.get());
    EXPECT_EQ(Lines(list.get()), (L{L"\u00E9", L"b"}));
    EXPECT_EQ(list->GetEncoding(), c.Found);
  }
  // Bytes without a mark read as UTF-8 when the caller says so.
  stream->Clear();
  stream->WriteBuffer("\xC3\xA9", 2);
  stream->SetPosition(0);
  list->LoadFromStream(stream.get(), TEncoding::UTF8());
  EXPECT_EQ(list->GetText(), L"\u00E9\r\n");
}

TEST(TStrings, FileRoundTripsKeepTheEncodingFound)
{
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const String file = String(temp) + L"kv_strings_" + IntToStr(GetCurrentProcessId()) + L".txt";
  Finally remove([&] { DeleteFileW(file.c_str()); });

  TOwnedPtr<TStringList> list(New<TStringList>());
  list->SetText(L"first\r\nGr\u00FC\u00DFe \u20AC");
  list->SaveToFile(file, TEncoding::UTF8());
  TOwnedPtr<TStringList> loaded(New<TStringList>());
  loaded->LoadFromFile(file);
  EXPECT_EQ(loaded->GetText(), list->GetText());
  EXPECT_EQ(loaded->GetEncoding(), TEncoding::UTF8());

  // Saved again without naming an encoding: still UTF-8 with its mark.
  loaded->Add(L"more");
  loaded->SaveToFile(file);
  TOwnedPtr<TMemoryStream> bytes(New<TMemoryStream>());
  bytes->LoadFromFile(file);
  EXPECT_EQ(Bytes(bytes.get()).substr(0, 3), "\xEF\xBB\xBF");

  // Without a mark the default (ANSI) encoding writes and reads it back.
  TOwnedPtr<TStringList> plain(New<TStringList>());
  plain->SetText(L"plain\r\ntext");
  plain->SaveToFile(file);
  bytes->LoadFromFile(file);
  EXPECT_EQ(Bytes(bytes.get()), "plain\r\ntext\r\n");
  loaded->LoadFromFile(file);
  EXPECT_EQ(loaded->GetText(), L"plain\r\ntext\r\n");
  EXPECT_EQ(loaded->GetEncoding(), TEncoding::Default());
}

// ---------------------------------------------------------------------------
// Damaged UTF-8

namespace {

// The lines bytes hold: each return, line feed or pair of both ends one.
std::ptrdiff_t LineCount(const kvtest::TTestBytes& ABytes)
{
  std::ptrdiff_t count = 0;
  for (std::size_t i = 0; i < ABytes.size(); ++i) {
    if (ABytes[i] != '\r' && ABytes[i] != '\n')
      continue;
    if (ABytes[i] == '\r' && i + 1 < ABytes.size() && ABytes[i + 1] == '\n')
      ++i;
    ++count;
    if (i + 1 == ABytes.size())
      return count;
  }
  return ABytes.empty() ? 0 : count + 1;
}

std::vector<String> LoadedLines(const kvtest::TTestBytes& ABytes)
{
  TOwnedPtr<TMemoryStream> stream(New<TMemoryStream>());
  if (!ABytes.empty())
    stream->WriteBuffer(ABytes.data(), static_cast<int>(ABytes.size()));
  stream->SetPosition(0);
  TOwnedPtr<TStringList> list(New<TStringList>());
  list->LoadFromStream(stream.get(), TEncoding::UTF8());
  return Lines(list.get());
}

}  // namespace

TEST(TStringList, ALineBreakAfterDamagedUtf8StaysALineBreak)
{
  const kvtest::TTestBytes data = kvtest::ReadFixture(KV_FIXTURES_DIR "/strings-utf8-lead-swallows-LF.bin");
  ASSERT_EQ(data.size(), 4u);
  EXPECT_EQ(LoadedLines(data), (std::vector<String>{L"e\xFFFD", L"X"}));
}

TEST(TStringList, MutatedUtf8KeepsEveryLineAndRoundTrips)
{
  const TBytes text = TEncoding::UTF8()->GetBytes(L"Grüße\r\nline two €\n\U0001F600 three\r\n\nend");
  kvtest::TTestMutator mutator(41);
  for (int i = 0; i < 3000; ++i) {
    const kvtest::TTestBytes damaged = mutator.Mutate(text);
    const std::vector<String> lines = LoadedLines(damaged);
    ASSERT_EQ(static_cast<std::ptrdiff_t>(lines.size()), LineCount(damaged)) << i;
    // What was decoded is saved and read back unchanged.
    TOwnedPtr<TStringList> list(New<TStringList>());
    for (const String& line : lines)
      list->Add(line);
    TOwnedPtr<TMemoryStream> saved(New<TMemoryStream>());
    list->SaveToStream(saved.get(), TEncoding::UTF8());
    const auto* bytes = static_cast<const std::uint8_t*>(saved->Memory());
    ASSERT_EQ(LoadedLines(kvtest::TTestBytes(bytes, bytes + saved->GetSize())), lines) << i;
  }
}
