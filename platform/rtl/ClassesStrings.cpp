// The Classes unit: TStrings and TStringList.
#include "platform/rtl/Classes.h"

#include <algorithm>

#include "platform/rtl/ClassesFiler.h"

namespace rtl {

namespace {

[[noreturn]] void SortedListError()
{
  throw EListError(L"Operation not allowed on sorted list");
}

// Runs BeginUpdate now and EndUpdate when the scope ends.
class TUpdateScope {
 public:
  explicit TUpdateScope(TStrings* AStrings) : FStrings(AStrings) { FStrings->BeginUpdate(); }
  TUpdateScope(const TUpdateScope&) = delete;
  TUpdateScope& operator=(const TUpdateScope&) = delete;
  ~TUpdateScope() noexcept(false) { FStrings->EndUpdate(); }

 private:
  TStrings* FStrings;
};

}  // namespace

// ---------------------------------------------------------------------------
// TStrings

int TStrings::Add(const String& S)
{
  const int result = GetCount();
  Insert(result, S);
  return result;
}

int TStrings::AddObject(const String& S, TObject* AObject)
{
  const int result = Add(S);
  PutObject(result, AObject);
  return result;
}

void TStrings::AddStrings(TStrings* AStrings)
{
  TUpdateScope update(this);
  // Counted once: a list added to itself would otherwise grow as fast as it
  // is read and never finish.
  const int count = AStrings->GetCount();
  for (int i = 0; i < count; ++i)
    AddObject(AStrings->Get(i), AStrings->GetObject(i));
}

void TStrings::DefineProperties(TFiler* AFiler)
{
  inherited::DefineProperties(AFiler);
  TPersistent* ancestor = AFiler->GetAncestor();
  bool hasData = GetCount() > 0;
  if (ancestor)
    hasData = !Is<TStrings>(ancestor) || !Equals(static_cast<TStrings*>(ancestor));
  AFiler->DefineProperty(L"Strings", TReaderProc::Bind<&TStrings::ReadData>(this),
                         TWriterProc::Bind<&TStrings::WriteData>(this), hasData);
}

void TStrings::ReadData(TReader* AReader)
{
  AReader->ReadListBegin();
  {
    TUpdateScope update(this);
    Clear();
    while (!AReader->EndOfList())
      Add(AReader->ReadString());
  }
  AReader->ReadListEnd();
}

void TStrings::WriteData(TWriter* AWriter)
{
  AWriter->WriteListBegin();
  for (int i = 0; i < GetCount(); ++i)
    AWriter->WriteString(Get(i));
  AWriter->WriteListEnd();
}

void TStrings::Assign(TPersistent* ASource)
{
  if (!Is<TStrings>(ASource)) {
    inherited::Assign(ASource);
    return;
  }
  TStrings* source = static_cast<TStrings*>(ASource);
  if (source == this)
    return;
  TUpdateScope update(this);
  Clear();
  FNameValueSeparator = source->FNameValueSeparator;
  FDelimiter = source->FDelimiter;
  FQuoteChar = source->FQuoteChar;
  FStrictDelimiter = source->FStrictDelimiter;
  AddStrings(source);
}

void TStrings::InsertObject(int AIndex, const String& S, TObject* AObject)
{
  Insert(AIndex, S);
  PutObject(AIndex, AObject);
}

void TStrings::Exchange(int AIndex1, int AIndex2)
{
  TUpdateScope update(this);
  const String text = Get(AIndex1);
  TObject* object = GetObject(AIndex1);
  Put(AIndex1, Get(AIndex2));
  PutObject(AIndex1, GetObject(AIndex2));
  Put(AIndex2, text);
  PutObject(AIndex2, object);
}

void TStrings::Move(int ACurIndex, int ANewIndex)
{
  if (ACurIndex == ANewIndex)
    return;
  TUpdateScope update(this);
  const String text = Get(ACurIndex);
  TObject* object = GetObject(ACurIndex);
  PutObject(ACurIndex, nullptr);
  Delete(ACurIndex);
  InsertObject(ANewIndex, text, object);
}

bool TStrings::Equals(TStrings* AStrings)
{
  if (!AStrings || GetCount() != AStrings->GetCount())
    return false;
  for (int i = 0; i < GetCount(); ++i)
    if (Get(i) != AStrings->Get(i))
      return false;
  return true;
}

int TStrings::IndexOf(const String& S)
{
  for (int i = 0; i < GetCount(); ++i)
    if (CompareStrings(Get(i), S) == 0)
      return i;
  return -1;
}

int TStrings::IndexOfName(const String& AName)
{
  for (int i = 0; i < GetCount(); ++i) {
    const String line = Get(i);
    const std::size_t separator = line.find(GetNameValueSeparator());
    if (separator != String::npos && CompareStrings(line.substr(0, separator), AName) == 0)
      return i;
  }
  return -1;
}

int TStrings::IndexOfObject(TObject* AObject)
{
  for (int i = 0; i < GetCount(); ++i)
    if (GetObject(i) == AObject)
      return i;
  return -1;
}

void TStrings::BeginUpdate()
{
  if (FUpdateCount == 0)
    SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate()
{
  if (--FUpdateCount == 0)
    SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

int TStrings::CompareStrings(const String& S1, const String& S2)
{
  return AnsiCompareText(S1, S2);
}

void TStrings::Put(int AIndex, const String& S)
{
  TObject* object = GetObject(AIndex);
  TUpdateScope update(this);
  // Detached first, so a list that owns its objects keeps this one.
  PutObject(AIndex, nullptr);
  Delete(AIndex);
  InsertObject(AIndex, S, object);
}

TObject* TStrings::GetObject(int)
{
  return nullptr;
}

void TStrings::PutObject(int, TObject*) {}

String TStrings::GetNames(int AIndex)
{
  const String line = Get(AIndex);
  const std::size_t separator = line.find(GetNameValueSeparator());
  return separator == String::npos ? String() : line.substr(0, separator);
}

String TStrings::GetValue(const String& AName)
{
  const int index = IndexOfName(AName);
  return index < 0 ? String() : GetValueFromIndex(index);
}

void TStrings::SetValue(const String& AName, const String& AValue)
{
  int index = IndexOfName(AName);
  if (AValue.empty()) {
    if (index >= 0)
      Delete(index);
    return;
  }
  if (index < 0)
    index = Add(String());
  Put(index, AName + GetNameValueSeparator() + AValue);
}

String TStrings::GetValueFromIndex(int AIndex)
{
  const String line = Get(AIndex);
  const std::size_t separator = line.find(GetNameValueSeparator());
  return separator == String::npos ? String() : line.substr(separator + 1);
}

String TStrings::GetTextStr()
{
  String result;
  for (int i = 0; i < GetCount(); ++i) {
    result += Get(i);
    result += L"\r\n";
  }
  return result;
}

void TStrings::SetTextStr(const String& AText)
{
  TUpdateScope update(this);
  Clear();
  std::size_t start = 0;
  while (start < AText.size()) {
    std::size_t end = AText.find_first_of(L"\r\n", start);
    if (end == String::npos) {
      Add(AText.substr(start));
      break;
    }
    Add(AText.substr(start, end - start));
    start = end + (AText.compare(end, 2, L"\r\n") == 0 ? 2 : 1);
  }
}

// ---------------------------------------------------------------------------
// Delimited text

String TStrings::QuotedLine(const String& S) const
{
  if (S.empty())
    return S;
  const Char delimiter = GetDelimiter(), quote = GetQuoteChar();
  const bool plain = std::none_of(S.begin(), S.end(), [&](Char C) {
    return C == delimiter || C == quote || (!FStrictDelimiter && C <= L' ');
  });
  return plain ? S : AnsiQuotedStr(S, quote);
}

String TStrings::GetDelimitedText()
{
  const int count = GetCount();
  // One empty line would otherwise read back as no line.
  if (count == 1 && Get(0).empty())
    return String(2, GetQuoteChar());
  String result;
  for (int i = 0; i < count; ++i) {
    if (i > 0)
      result += GetDelimiter();
    result += QuotedLine(Get(i));
  }
  return result;
}

void TStrings::SetDelimitedText(const String& AText)
{
  const Char delimiter = GetDelimiter(), quote = GetQuoteChar();
  const bool strict = FStrictDelimiter;
  const auto isBlank = [&](Char C) { return !strict && C >= 1 && C <= L' '; };
  TUpdateScope update(this);
  Clear();
  std::size_t p = 0;
  const std::size_t n = AText.size();
  while (p < n && isBlank(AText[p]))
    ++p;
  while (p < n) {
    String line;
    if (AText[p] == quote) {
      // A quoted line: doubled quotes stand for one, the closing quote ends it.
      for (++p; p < n; ++p) {
        if (AText[p] == quote) {
          if (p + 1 < n && AText[p + 1] == quote) {
            ++p;
          } else {
            ++p;
            break;
          }
        }
        line += AText[p];
      }
    } else {
      const std::size_t start = p;
      while (p < n && AText[p] != delimiter && !isBlank(AText[p]))
        ++p;
      line = AText.substr(start, p - start);
    }
    Add(line);
    while (p < n && isBlank(AText[p]))
      ++p;
    if (p < n && AText[p] == delimiter) {
      // A delimiter at the very end stands before an empty last line.
      if (p + 1 == n)
        Add(String());
      ++p;
      while (p < n && isBlank(AText[p]))
        ++p;
    }
  }
}

String TStrings::GetCommaText()
{
  const Char delimiter = FDelimiter, quote = FQuoteChar;
  const bool strict = FStrictDelimiter;
  FDelimiter = L',';
  FQuoteChar = L'"';
  FStrictDelimiter = false;
  Finally restore([&] {
    FDelimiter = delimiter;
    FQuoteChar = quote;
    FStrictDelimiter = strict;
  });
  return GetDelimitedText();
}

void TStrings::SetCommaText(const String& AText)
{
  const Char delimiter = FDelimiter, quote = FQuoteChar;
  const bool strict = FStrictDelimiter;
  FDelimiter = L',';
  FQuoteChar = L'"';
  FStrictDelimiter = false;
  Finally restore([&] {
    FDelimiter = delimiter;
    FQuoteChar = quote;
    FStrictDelimiter = strict;
  });
  SetDelimitedText(AText);
}

// ---------------------------------------------------------------------------
// Loading and saving

void TStrings::LoadFromStream(TStream* AStream, TEncoding* AEncoding)
{
  TUpdateScope update(this);
  const std::int64_t size = AStream->GetSize() - AStream->GetPosition();
  TBytes buffer(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)));
  AStream->ReadBuffer(buffer.data(), static_cast<int>(buffer.size()));
  const int preamble = TEncoding::GetBufferEncoding(buffer, AEncoding, GetDefaultEncoding());
  FEncoding = TEncoding::IsStandardEncoding(AEncoding) ? AEncoding : nullptr;
  SetTextStr(AEncoding->GetString(buffer, preamble, static_cast<int>(buffer.size()) - preamble));
}

void TStrings::LoadFromFile(const String& AFileName, TEncoding* AEncoding)
{
  TFileStream* stream = New<TFileStream>(AFileName, fmOpenRead | fmShareDenyWrite);
  Finally release([&] { rtl::Free(stream); });
  LoadFromStream(stream, AEncoding);
}

void TStrings::SaveToStream(TStream* AStream, TEncoding* AEncoding)
{
  if (!AEncoding)
    AEncoding = FEncoding ? FEncoding : GetDefaultEncoding();
  if (GetWriteBOM()) {
    const TBytes preamble = AEncoding->GetPreamble();
    AStream->WriteBuffer(preamble.data(), static_cast<int>(preamble.size()));
  }
  const TBytes bytes = AEncoding->GetBytes(GetTextStr());
  AStream->WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
}

void TStrings::SaveToFile(const String& AFileName, TEncoding* AEncoding)
{
  TFileStream* stream = New<TFileStream>(AFileName, fmCreate);
  Finally release([&] { rtl::Free(stream); });
  SaveToStream(stream, AEncoding);
}

// ---------------------------------------------------------------------------
// TStringList

void TStringList::Destroy()
{
  // No change events from a list being destroyed.
  FOnChange = nullptr;
  FOnChanging = nullptr;
  Clear();
  inherited::Destroy();
}

void TStringList::CheckIndex(int AIndex) const
{
  if (AIndex < 0 || AIndex >= GetCount())
    ListIndexError(AIndex);
}

int TStringList::Add(const String& S)
{
  return AddObject(S, nullptr);
}

int TStringList::AddObject(const String& S, TObject* AObject)
{
  int index = GetCount();
  if (FSorted && Find(S, index)) {
    if (FDuplicates == dupIgnore)
      return index;
    if (FDuplicates == dupError)
      throw EListError(L"String list does not allow duplicates");
  }
  InsertItem(index, S, AObject);
  return index;
}

void TStringList::Clear()
{
  if (FList.empty())
    return;
  Changing();
  std::vector<TStringItem> old;
  old.swap(FList);
  // Freed after the list is empty, so an object's destructor sees no line
  // of its own.
  if (FOwnsObjects)
    for (TStringItem& item : old)
      rtl::Free(item.FObject);
  Changed();
}

void TStringList::Delete(int AIndex)
{
  CheckIndex(AIndex);
  Changing();
  TObject* object = FList[AIndex].FObject;
  FList.erase(FList.begin() + AIndex);
  if (FOwnsObjects)
    rtl::Free(object);
  Changed();
}

void TStringList::Insert(int AIndex, const String& S)
{
  InsertObject(AIndex, S, nullptr);
}

void TStringList::InsertObject(int AIndex, const String& S, TObject* AObject)
{
  if (FSorted)
    SortedListError();
  if (AIndex < 0 || AIndex > GetCount())
    ListIndexError(AIndex);
  InsertItem(AIndex, S, AObject);
}

void TStringList::InsertItem(int AIndex, const String& S, TObject* AObject)
{
  Changing();
  FList.insert(FList.begin() + AIndex, TStringItem{S, AObject});
  Changed();
}

void TStringList::Exchange(int AIndex1, int AIndex2)
{
  CheckIndex(AIndex1);
  CheckIndex(AIndex2);
  Changing();
  std::swap(FList[AIndex1], FList[AIndex2]);
  Changed();
}

// Checked before anything changes: the inherited Move would delete the line
// and only then find that a sorted list takes no insertion, losing it.
void TStringList::Move(int ACurIndex, int ANewIndex)
{
  if (ACurIndex == ANewIndex)
    return;
  if (FSorted)
    SortedListError();
  CheckIndex(ACurIndex);
  CheckIndex(ANewIndex);
  Changing();
  TStringItem item = std::move(FList[ACurIndex]);
  FList.erase(FList.begin() + ACurIndex);
  FList.insert(FList.begin() + ANewIndex, std::move(item));
  Changed();
}

int TStringList::IndexOf(const String& S)
{
  if (!FSorted)
    return inherited::IndexOf(S);
  int index;
  return Find(S, index) ? index : -1;
}

bool TStringList::Find(const String& S, int& AIndex)
{
  // The first line not below S; equal lines are adjacent in a sorted list.
  int low = 0, high = GetCount() - 1;
  bool found = false;
  while (low <= high) {
    const int middle = low + (high - low) / 2;
    const int c = CompareStrings(FList[middle].FString, S);
    if (c < 0) {
      low = middle + 1;
    } else {
      high = middle - 1;
      found = found || c == 0;
    }
  }
  AIndex = low;
  return found;
}

namespace {

int CompareListLines(TStringList* AList, int AIndex1, int AIndex2)
{
  return AList->CompareLines(AIndex1, AIndex2);
}

}  // namespace

int TStringList::CompareLines(int AIndex1, int AIndex2)
{
  return CompareStrings(Get(AIndex1), Get(AIndex2));
}

void TStringList::Sort()
{
  CustomSort(&CompareListLines);
}

void TStringList::CustomSort(TStringListSortCompare ACompare)
{
  if (FSorted || GetCount() <= 1)
    return;
  Changing();
  QuickSort(0, GetCount() - 1, ACompare);
  Changed();
}

// As TList's sort, with the pivot an index that follows its line through the
// swaps; the scans are bounded the same way.
void TStringList::QuickSort(int L, int R, TStringListSortCompare ACompare)
{
  while (L < R) {
    int i = L;
    int j = R;
    int pivot = L + (R - L) / 2;
    do {
      while (i < R && ACompare(this, i, pivot) < 0)
        ++i;
      while (j > L && ACompare(this, j, pivot) > 0)
        --j;
      if (i <= j) {
        if (i != j) {
          std::swap(FList[i], FList[j]);
          if (pivot == i)
            pivot = j;
          else if (pivot == j)
            pivot = i;
        }
        ++i;
        --j;
      }
    } while (i <= j);
    if (L < j)
      QuickSort(L, j, ACompare);
    L = i;
  }
}

void TStringList::SetCapacity(int ANewCapacity)
{
  if (ANewCapacity < GetCount())
    throw EListError(Format(L"List capacity out of bounds (%d)", {ANewCapacity}));
  FList.reserve(ANewCapacity);
}

void TStringList::SetSorted(bool AValue)
{
  if (FSorted == AValue)
    return;
  if (AValue)
    Sort();
  FSorted = AValue;
}

void TStringList::SetCaseSensitive(bool AValue)
{
  if (FCaseSensitive == AValue)
    return;
  FCaseSensitive = AValue;
  if (FSorted) {
    // Re-sorted by the new rule.
    FSorted = false;
    SetSorted(true);
  }
}

void TStringList::Changed()
{
  if (GetUpdateCount() == 0 && FOnChange)
    FOnChange(this);
}

void TStringList::Changing()
{
  if (GetUpdateCount() == 0 && FOnChanging)
    FOnChanging(this);
}

String TStringList::Get(int AIndex)
{
  CheckIndex(AIndex);
  return FList[AIndex].FString;
}

void TStringList::Put(int AIndex, const String& S)
{
  if (FSorted)
    SortedListError();
  CheckIndex(AIndex);
  Changing();
  FList[AIndex].FString = S;
  Changed();
}

TObject* TStringList::GetObject(int AIndex)
{
  CheckIndex(AIndex);
  return FList[AIndex].FObject;
}

void TStringList::PutObject(int AIndex, TObject* AObject)
{
  CheckIndex(AIndex);
  Changing();
  FList[AIndex].FObject = AObject;
  Changed();
}

void TStringList::SetUpdateState(bool AUpdating)
{
  if (AUpdating)
    Changing();
  else
    Changed();
}

int TStringList::CompareStrings(const String& S1, const String& S2)
{
  return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

}  // namespace rtl
