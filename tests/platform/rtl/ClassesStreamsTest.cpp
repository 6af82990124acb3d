#include "platform/rtl/ClassesStreams.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/ClassesThreads.h"

using namespace rtl;

namespace {

template <class E, class F>
String StreamErrorText(F AAction)
{
  try {
    AAction();
  } catch (const E& Error) {
    return Error.Message();
  }
  return L"(not raised)";
}

// A directory of its own under the temporary directory, removed with its
// files afterwards.
class TempDir {
 public:
  TempDir()
  {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    FPath = String(base) + L"kv_classes_" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(FPath.c_str(), nullptr);
  }
  ~TempDir()
  {
    for (const String& file : FFiles)
      DeleteFileW(file.c_str());
    RemoveDirectoryW(FPath.c_str());
  }
  String File(const wchar_t* AName)
  {
    FFiles.push_back(FPath + L"\\" + AName);
    return FFiles.back();
  }
  const String& Path() const { return FPath; }

 private:
  String FPath;
  std::vector<String> FFiles;
};

std::string ReadAll(TStream* AStream)
{
  std::string result(static_cast<std::size_t>(AStream->GetSize()), '\0');
  AStream->SetPosition(0);
  AStream->ReadBuffer(result.data(), static_cast<int>(result.size()));
  return result;
}

void WriteText(TStream* AStream, const char* AText)
{
  AStream->WriteBuffer(AText, static_cast<int>(std::strlen(AText)));
}

}  // namespace

// ---------------------------------------------------------------------------
// Memory streams

TEST(TMemoryStream, ReadWriteSeekAndSize)
{
  TOwnedPtr<TMemoryStream> stream(New<TMemoryStream>());
  WriteText(stream.get(), "hello world");
  EXPECT_EQ(stream->GetSize(), 11);
  EXPECT_EQ(stream->GetPosition(), 11);

  struct Case {
    std::int64_t Offset;
    TSeekOrigin Origin;
    std::int64_t Expected;
  };
  const Case seeks[] = {{3, soBeginning, 3}, {2, soCurrent, 5}, {-5, soEnd, 6}, {0, soEnd, 11}, {-11, soCurrent, 0}};
  for (const Case& c : seeks)
    EXPECT_EQ(stream->Seek(c.Offset, c.Origin), c.Expected) << c.Offset << " from " << c.Origin;

  char buffer[8] = {};
  stream->SetPosition(6);
  EXPECT_EQ(stream->Read(buffer, 8), 5) << "reads what is left";
  EXPECT_EQ(std::string(buffer, 5), "world");
  EXPECT_EQ(stream->Read(buffer, 8), 0);
  stream->SetPosition(-3);
  EXPECT_EQ(stream->Read(buffer, 1), 0) << "before the start nothing is read";

  stream->SetPosition(6);
  EXPECT_EQ(StreamErrorText<EReadError>([&] { stream->ReadBuffer(buffer, 6); }), L"Stream read error");

  stream->SetSize(5);
  EXPECT_EQ(ReadAll(stream.get()), "hello");
  stream->SetPosition(8);
  WriteText(stream.get(), "!");
  EXPECT_EQ(ReadAll(stream.get()), std::string("hello\0\0\0!", 9)) << "a gap written past the end is zero";
  stream->SetSize(12);
  EXPECT_EQ(ReadAll(stream.get()), std::string("hello\0\0\0!\0\0\0", 12));
  stream->Clear();
  EXPECT_EQ(stream->GetSize(), 0);
  EXPECT_EQ(stream->Memory(), nullptr);
}

namespace {

// Shows the capacity, and allocates exactly what is asked from the process
// heap, counting blocks, as a stream over another allocator does.
class THeapMemoryStream : public TMemoryStream {
  RTL_CLASS(THeapMemoryStream, TMemoryStream)

 public:
  void Create(int* ALiveBlocks, std::vector<int>* ARequests)
  {
    FLiveBlocks = ALiveBlocks;
    FRequests = ARequests;
  }

 protected:
  void* Realloc(int& ANewCapacity) override
  {
    FRequests->push_back(ANewCapacity);
    if (ANewCapacity == GetCapacity())
      return Memory();
    void* result = nullptr;
    if (ANewCapacity > 0) {
      result = HeapAlloc(GetProcessHeap(), 0, ANewCapacity);
      ++*FLiveBlocks;
      if (GetCapacity() > 0)
        std::memcpy(result, Memory(), std::min(GetCapacity(), ANewCapacity));
    }
    if (GetCapacity() > 0) {
      HeapFree(GetProcessHeap(), 0, Memory());
      --*FLiveBlocks;
    }
    return result;
  }

 private:
  int* FLiveBlocks;
  std::vector<int>* FRequests;
};

class TCapacityMemoryStream : public TMemoryStream {
  RTL_CLASS(TCapacityMemoryStream, TMemoryStream)

 public:
  using TMemoryStream::GetCapacity;
};

}  // namespace

TEST(TMemoryStream, CapacityGrowsInStepsOf8KB)
{
  TOwnedPtr<TCapacityMemoryStream> stream(New<TCapacityMemoryStream>());
  const std::vector<char> block(5000, 'x');
  struct Step {
    int Write;
    int Capacity;
  };
  for (Step s : {Step{1, 8192}, Step{5000, 8192}, Step{5000, 16384}, Step{5000, 16384}, Step{5000, 24576}}) {
    stream->WriteBuffer(block.data(), s.Write);
    EXPECT_EQ(stream->GetCapacity(), s.Capacity) << "at size " << stream->GetSize();
  }
  stream->SetSize(100);
  EXPECT_EQ(stream->GetCapacity(), 8192);
}

TEST(TMemoryStream, ADescendantsReallocProvidesAllMemoryAndFreesIt)
{
  int live = 0;
  std::vector<int> requests;
  THeapMemoryStream* stream = New<THeapMemoryStream>(&live, &requests);
  WriteText(stream, "abc");
  WriteText(stream, "def");
  EXPECT_EQ(live, 1);
  EXPECT_EQ(ReadAll(stream), "abcdef") << "contents survive each reallocation";
  rtl::Free(stream);
  EXPECT_EQ(live, 0) << "Destroy returns the memory through the override";
  EXPECT_EQ(requests, (std::vector<int>{3, 6, 0}));
}

TEST(TMemoryStream, CopyFromAndSaveLoad)
{
  TOwnedPtr<TMemoryStream> source(New<TMemoryStream>());
  TOwnedPtr<TMemoryStream> dest(New<TMemoryStream>());
  std::string big(100000, '\0');
  for (std::size_t i = 0; i < big.size(); ++i)
    big[i] = static_cast<char>(i * 7);
  source->WriteBuffer(big.data(), static_cast<int>(big.size()));
  source->SetPosition(17);
  EXPECT_EQ(dest->CopyFrom(source.get(), 0), 100000) << "0 copies everything from the start";
  EXPECT_EQ(ReadAll(dest.get()), big);

  dest->Clear();
  source->SetPosition(10);
  EXPECT_EQ(dest->CopyFrom(source.get(), 5), 5);
  EXPECT_EQ(ReadAll(dest.get()), big.substr(10, 5));
  source->SetPosition(99999);
  EXPECT_EQ(StreamErrorText<EReadError>([&] { dest->CopyFrom(source.get(), 2); }), L"Stream read error");

  TempDir dir;
  const String file = dir.File(L"memory.bin");
  source->SaveToFile(file);
  dest->LoadFromFile(file);
  EXPECT_EQ(dest->GetPosition(), 0);
  EXPECT_EQ(ReadAll(dest.get()), big);
}

// Writing a stream's own bytes to it: growing the memory must not leave the
// source behind in freed memory. Large enough that the heap gives the old
// block back to the system.
TEST(TMemoryStream, WritesItsOwnContentsWhileGrowing)
{
  TOwnedPtr<TMemoryStream> stream(New<TMemoryStream>());
  std::string first(3 << 20, '\0');
  for (std::size_t i = 0; i < first.size(); ++i)
    first[i] = static_cast<char>(i * 13 + i / 4096);
  stream->WriteBuffer(first.data(), static_cast<int>(first.size()));
  for (int round = 0; round < 3; ++round)
    stream->WriteBuffer(stream->Memory(), static_cast<int>(stream->GetSize()));
  EXPECT_EQ(ReadAll(stream.get()), first + first + first + first + first + first + first + first);
}

TEST(TBytesStream, KeepsItsContentsInTheByteArray)
{
  TOwnedPtr<TBytesStream> stream(New<TBytesStream>(TBytes{1, 2, 3}));
  EXPECT_EQ(stream->GetSize(), 3);
  stream->Seek(0, soEnd);
  const std::uint8_t more[] = {4, 5};
  stream->WriteBuffer(more, 2);
  EXPECT_EQ(stream->GetSize(), 5);
  const TBytes& bytes = stream->GetBytes();
  ASSERT_GE(bytes.size(), 5u);
  EXPECT_EQ(TBytes(bytes.begin(), bytes.begin() + 5), (TBytes{1, 2, 3, 4, 5}));
}

TEST(TStringStream, HoldsTextInItsEncoding)
{
  TOwnedPtr<TStringStream> stream(New<TStringStream>(L"Grüße", TEncoding::UTF8()));
  EXPECT_EQ(stream->GetSize(), 7);
  stream->Seek(0, soEnd);
  stream->WriteString(L" €");
  EXPECT_EQ(stream->GetDataString(), L"Grüße €");
  stream->SetPosition(2);
  EXPECT_EQ(stream->ReadString(2), L"ü");
  EXPECT_EQ(stream->ReadString(100), L"ße €");
}

// ---------------------------------------------------------------------------
// File streams

TEST(TFileStream, CreateReplacesAnExistingFileAndOpenReadsIt)
{
  TempDir dir;
  const String file = dir.File(L"data.txt");
  {
    TOwnedPtr<TFileStream> stream(New<TFileStream>(file, fmCreate));
    WriteText(stream.get(), "a longer first version");
  }
  {
    TOwnedPtr<TFileStream> stream(New<TFileStream>(file, fmCreate));
    WriteText(stream.get(), "second");
  }
  TOwnedPtr<TFileStream> stream(New<TFileStream>(file, fmOpenRead | fmShareDenyWrite));
  EXPECT_EQ(stream->GetSize(), 6);
  EXPECT_EQ(ReadAll(stream.get()), "second");
  EXPECT_EQ(stream->Seek(-2, soEnd), 4);
  EXPECT_EQ(StreamErrorText<EWriteError>([&] { WriteText(stream.get(), "x"); }), L"Stream write error")
      << "a stream opened for reading cannot write";
  EXPECT_EQ(StreamErrorText<EFOpenError>([&] { New<TFileStream>(file, fmOpenReadWrite); }).substr(0, 16),
            L"Cannot open file")
      << "the reader denies writing to others";

  stream.reset();
  TOwnedPtr<TFileStream> readWrite(New<TFileStream>(file, fmOpenReadWrite | fmShareDenyNone));
  readWrite->SetSize(3);
  EXPECT_EQ(ReadAll(readWrite.get()), "sec");
}

TEST(TFileStream, FailuresNameTheFullPathAndTheSystemsReason)
{
  TempDir dir;
  const String missingDir = dir.Path() + L"\\no such dir\\file.txt";
  const String missingFile = dir.Path() + L"\\absent.txt";
  EXPECT_EQ(StreamErrorText<EFCreateError>([&] { New<TFileStream>(missingDir, fmCreate); }),
            L"Cannot create file \"" + missingDir + L"\". " + SysErrorMessage(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(StreamErrorText<EFOpenError>([&] { New<TFileStream>(missingFile, fmOpenRead); }),
            L"Cannot open file \"" + missingFile + L"\". " + SysErrorMessage(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(StreamErrorText<EStreamError>([&] { New<TFileStream>(missingFile, fmOpenRead); }).substr(0, 16),
            L"Cannot open file") << "both are stream errors";
}

// ---------------------------------------------------------------------------
// Resource streams

TEST(TResourceStream, ReadsAResourceOfTheModule)
{
  TOwnedPtr<TResourceStream> stream(New<TResourceStream>(GetModuleHandleW(nullptr), L"CLASSESTESTDATA", RT_RCDATA));
  EXPECT_EQ(ReadAll(stream.get()), "resource bytes");
  EXPECT_EQ(StreamErrorText<EStreamError>([&] { WriteText(stream.get(), "x"); }),
            L"Can't write to a read-only resource stream");
  EXPECT_EQ(StreamErrorText<EResNotFound>([] { New<TResourceStream>(GetModuleHandleW(nullptr), L"NOPE", RT_RCDATA); }),
            L"Resource NOPE not found");
  EXPECT_EQ(StreamErrorText<EResNotFound>([] { New<TResourceStream>(GetModuleHandleW(nullptr), L"CLASSESTESTDATA",
                                                              RT_BITMAP); }),
            L"Resource CLASSESTESTDATA not found");
}

// ---------------------------------------------------------------------------
// Encodings

TEST(TEncoding, RecognisesByteOrderMarksElseTakesTheDefault)
{
  struct Case {
    TBytes Buffer;
    TEncoding* Expected;
    int Length;
  };
  const Case cases[] = {
      {{0xEF, 0xBB, 0xBF, 'a'}, TEncoding::UTF8(), 3},
      {{0xFF, 0xFE, 'a', 0}, TEncoding::Unicode(), 2},
      {{0xFE, 0xFF, 0, 'a'}, TEncoding::BigEndianUnicode(), 2},
      {{0xEF, 0xBB, 'a'}, TEncoding::Default(), 0},
      {{}, TEncoding::Default(), 0},
  };
  for (const Case& c : cases) {
    TEncoding* found = nullptr;
    EXPECT_EQ(TEncoding::GetBufferEncoding(c.Buffer, found), c.Length);
    EXPECT_EQ(found, c.Expected);
  }
  TEncoding* given = TEncoding::UTF8();
  EXPECT_EQ(TEncoding::GetBufferEncoding({0xFF, 0xFE, 'a', 0}, given), 0) << "a given encoding is kept";
  EXPECT_EQ(given, TEncoding::UTF8());
  TEncoding* none = nullptr;
  TEncoding::GetBufferEncoding({'a'}, none, TEncoding::Unicode());
  EXPECT_EQ(none, TEncoding::Unicode());
}

TEST(TEncoding, DamagedUtf8BecomesReplacementsAndTheBytesAfterThemStay)
{
  struct Case {
    TBytes Bytes;
    std::wstring Text;
  };
  const Case cases[] = {
      {{'e', 0xF1, '\n', 'X'}, L"e\xFFFD\nX"},                         // a lone lead byte before a line break
      {{0xE2, 0x82, '\r', '\n'}, L"\xFFFD\r\n"},                     // a sequence cut short
      {{0xC0, 0xAF, 'a'}, L"\xFFFD\xFFFD" L"a"},                          // an overlong form
      {{0xED, 0xA0, 0x80}, L"\xFFFD\xFFFD\xFFFD"},                    // a surrogate
      {{0xF4, 0x90, 0x80, 0x80}, L"\xFFFD\xFFFD\xFFFD\xFFFD"},        // beyond U+10FFFF
      {{0x80, 'a', 0xFF}, L"\xFFFD" L"a\xFFFD"},                          // stray bytes
      {{0xF0, 0x9F, 0x98, 0x80, 0xF0, 0x9F, 0x98}, L"\xD83D\xDE00\xFFFD"},  // a pair, then one cut at the end
  };
  for (const Case& c : cases)
    EXPECT_EQ(TEncoding::UTF8()->GetString(c.Bytes), c.Text) << c.Bytes.size();
}

TEST(TEncoding, BytesAndTextRoundTrip)
{
  struct Case {
    TEncoding* Encoding;
    TBytes Preamble;
    TBytes Bytes;
  };
  const Case cases[] = {
      {TEncoding::UTF8(), {0xEF, 0xBB, 0xBF}, {'A', 0xC3, 0xA4, 0xE2, 0x82, 0xAC}},
      {TEncoding::Unicode(), {0xFF, 0xFE}, {'A', 0, 0xE4, 0, 0xAC, 0x20}},
      {TEncoding::BigEndianUnicode(), {0xFE, 0xFF}, {0, 'A', 0, 0xE4, 0x20, 0xAC}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.Encoding->GetPreamble(), c.Preamble);
    EXPECT_EQ(c.Encoding->GetBytes(L"Aä€"), c.Bytes);
    EXPECT_EQ(c.Encoding->GetString(c.Bytes), L"Aä€");
  }
  EXPECT_TRUE(TEncoding::Default()->GetPreamble().empty());
  EXPECT_EQ(TEncoding::Default()->GetCodePage(), 0u);
  EXPECT_EQ(TEncoding::Default()->GetString(TEncoding::Default()->GetBytes(L"plain")), L"plain");
  EXPECT_TRUE(TEncoding::IsStandardEncoding(TEncoding::ANSI()));
  TOwnedPtr<TEncoding> own(New<TMBCSEncoding>(1252u));
  EXPECT_FALSE(TEncoding::IsStandardEncoding(own.get()));
  EXPECT_EQ(own->GetBytes(L"ä"), (TBytes{0xE4}));
}

namespace {

// Counts the Destroy of an owned stream, so the adapter's ownership shows.
class TCountedStream : public TMemoryStream {
  RTL_CLASS(TCountedStream, TMemoryStream)

 public:
  void Create(int* ADestroyed)
  {
    inherited::Create();
    FDestroyed = ADestroyed;
  }
  void Destroy() override
  {
    ++*FDestroyed;
    inherited::Destroy();
  }

 private:
  int* FDestroyed;
};

// A stream whose every read fails.
class TFailingStream : public TMemoryStream {
  RTL_CLASS(TFailingStream, TMemoryStream)

 public:
  int Read(void*, int) override { throw EReadError(L"read failed"); }
};

// Records the messages of what reaches the application's handler while it
// lives.
struct TStreamsHandlerLog {
  std::vector<String> Messages;
  TNotifyEvent Previous = GetApplicationHandleException();
  TStreamsHandlerLog() { SetApplicationHandleException(TNotifyEvent::Bind<&TStreamsHandlerLog::Handle>(this)); }
  ~TStreamsHandlerLog() { SetApplicationHandleException(Previous); }
  void Handle(TObject*)
  {
    try {
      throw;
    } catch (const Exception& E) {
      Messages.push_back(E.Message());
    }
  }
};

IPtr<IStream> AdapterOver(TStream* AStream, TStreamOwnership AOwnership)
{
  // A new counted object holds no reference yet: the variable takes the first.
  return IPtr<IStream>(New<TStreamAdapter>(AStream, AOwnership));
}

}  // namespace

TEST(TStreamAdapter, ReadsWritesSeeksAndReportsTheStreamThroughCom)
{
  TOwnedPtr<TMemoryStream> memory(New<TMemoryStream>());
  IPtr<IStream> stream = AdapterOver(memory.get(), soReference);

  ULONG written = 0;
  ASSERT_EQ(stream->Write("abcdef", 6, &written), S_OK);
  EXPECT_EQ(written, 6u);
  ULARGE_INTEGER position{};
  ASSERT_EQ(stream->Seek(LARGE_INTEGER{{2, 0}}, STREAM_SEEK_SET, &position), S_OK);
  EXPECT_EQ(position.QuadPart, 2u);
  char buffer[8] = {};
  ULONG read = 0;
  ASSERT_EQ(stream->Read(buffer, 8, &read), S_OK);
  EXPECT_EQ(read, 4u);
  EXPECT_STREQ(buffer, "cdef");
  EXPECT_EQ(stream->Seek(LARGE_INTEGER{}, 7, nullptr), STG_E_INVALIDFUNCTION);
  // Before the start is no position: refused, the position kept.
  struct SeekCase {
    LONGLONG Move;
    DWORD Origin;
  };
  for (SeekCase c : {SeekCase{-1, STREAM_SEEK_SET}, SeekCase{-7, STREAM_SEEK_CUR}, SeekCase{-7, STREAM_SEEK_END}}) {
    LARGE_INTEGER move;
    move.QuadPart = c.Move;
    position.QuadPart = 99;
    EXPECT_EQ(stream->Seek(move, c.Origin, &position), STG_E_INVALIDFUNCTION) << c.Move << " from " << c.Origin;
    EXPECT_EQ(memory->GetPosition(), 6) << c.Move << " from " << c.Origin;
  }

  STATSTG stat;
  ASSERT_EQ(stream->Stat(&stat, STATFLAG_NONAME), S_OK);
  EXPECT_EQ(stat.type, DWORD(STGTY_STREAM));
  EXPECT_EQ(stat.cbSize.QuadPart, 6u);
  ASSERT_EQ(stream->SetSize(ULARGE_INTEGER{{3, 0}}), S_OK);
  EXPECT_EQ(memory->GetSize(), 3);

  IStream* clone = stream.Get();
  EXPECT_EQ(stream->Clone(&clone), E_NOTIMPL);
  EXPECT_EQ(clone, nullptr);
}

TEST(TStreamAdapter, CopyToAnotherStreamAndFreeAnOwnedStream)
{
  int destroyed = 0;
  TCountedStream* source = New<TCountedStream>(&destroyed);
  source->WriteBuffer("0123456789", 10);
  source->SetPosition(3);
  TOwnedPtr<TMemoryStream> target(New<TMemoryStream>());
  {
    IPtr<IStream> from = AdapterOver(source, soOwned);
    IPtr<IStream> to = AdapterOver(target.get(), soReference);
    ULARGE_INTEGER read{}, written{};
    ASSERT_EQ(from->CopyTo(to.Get(), ULARGE_INTEGER{{100, 0}}, &read, &written), S_OK);
    EXPECT_EQ(read.QuadPart, 7u);
    EXPECT_EQ(written.QuadPart, 7u);
    EXPECT_EQ(destroyed, 0);
  }
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(std::string(static_cast<const char*>(target->Memory()), 7), "3456789");
}

// COM callers sit outside the system's exception handling: what the stream
// raises is E_FAIL for the caller and reaches the application's handler.
TEST(TStreamAdapter, AnExceptionOfTheStreamIsAFailureAndReachesTheHandler)
{
  TStreamsHandlerLog log;
  TOwnedPtr<TFailingStream> failing(New<TFailingStream>());
  IPtr<IStream> stream = AdapterOver(failing.get(), soReference);
  char buffer[4];
  ULONG read = 7;
  EXPECT_EQ(stream->Read(buffer, sizeof buffer, &read), E_FAIL);
  EXPECT_EQ(read, 7u);
  EXPECT_EQ(log.Messages, std::vector<String>{L"read failed"});
}
