// The Classes unit: encodings and streams.
#include "platform/rtl/ClassesStreams.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/rtl/ClassesThreads.h"

namespace rtl {

// ---------------------------------------------------------------------------
// TEncoding

namespace {

// The standard encodings live as long as the process: callers hold them
// without freeing, as the framework's are.
template <class T>
TEncoding* Standard()
{
  static TEncoding* const encoding = New<T>();
  return encoding;
}

bool StartsWith(const TBytes& ABuffer, const TBytes& APrefix)
{
  return !APrefix.empty() && ABuffer.size() >= APrefix.size() &&
         std::equal(APrefix.begin(), APrefix.end(), ABuffer.begin());
}

// Appends a code point in UTF-16.
void AppendCodePoint(String& AText, std::uint32_t ACode)
{
  if (ACode < 0x10000) {
    AText += static_cast<Char>(ACode);
    return;
  }
  ACode -= 0x10000;
  AText += static_cast<Char>(0xD800 | (ACode >> 10));
  AText += static_cast<Char>(0xDC00 | (ACode & 0x3FF));
}

// UTF-8 to UTF-16 with every invalid sequence, as far as it is the start
// of a valid one, replaced by one U+FFFD and the bytes after it decoded as
// themselves. The system's converter may swallow the byte after a damaged
// sequence, even a line break.
String DecodeUtf8(const std::uint8_t* ABytes, int ACount)
{
  String result;
  result.reserve(static_cast<std::size_t>(ACount));
  int i = 0;
  while (i < ACount) {
    const std::uint8_t lead = ABytes[i++];
    if (lead < 0x80) {
      result += static_cast<Char>(lead);
      continue;
    }
    // The range of the first continuation byte rules out overlong forms,
    // surrogates and code points beyond U+10FFFF.
    int trail = 0;
    std::uint32_t code = 0;
    std::uint8_t low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      trail = 1;
      code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      trail = 2;
      code = lead & 0x0F;
      low = lead == 0xE0 ? 0xA0 : 0x80;
      high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      trail = 3;
      code = lead & 0x07;
      low = lead == 0xF0 ? 0x90 : 0x80;
      high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
      result += static_cast<Char>(0xFFFD);
      continue;
    }
    for (; trail > 0 && i < ACount && ABytes[i] >= low && ABytes[i] <= high; --trail, ++i) {
      code = code << 6 | (ABytes[i] & 0x3F);
      low = 0x80;
      high = 0xBF;
    }
    // A byte that does not continue the sequence starts the next one.
    if (trail > 0)
      result += static_cast<Char>(0xFFFD);
    else
      AppendCodePoint(result, code);
  }
  return result;
}

}  // namespace

TEncoding* TEncoding::Default()
{
  return Standard<TMBCSEncoding>();
}

TEncoding* TEncoding::ANSI()
{
  return Default();
}

TEncoding* TEncoding::UTF8()
{
  return Standard<TUTF8Encoding>();
}

TEncoding* TEncoding::Unicode()
{
  return Standard<TUnicodeEncoding>();
}

TEncoding* TEncoding::BigEndianUnicode()
{
  return Standard<TBigEndianUnicodeEncoding>();
}

bool TEncoding::IsStandardEncoding(const TEncoding* AEncoding)
{
  return AEncoding && (AEncoding == Default() || AEncoding == UTF8() || AEncoding == Unicode() ||
                       AEncoding == BigEndianUnicode());
}

int TEncoding::GetBufferEncoding(const TBytes& ABuffer, TEncoding*& AEncoding, TEncoding* ADefaultEncoding)
{
  if (!AEncoding) {
    for (TEncoding* candidate : {Unicode(), BigEndianUnicode(), UTF8()})
      if (StartsWith(ABuffer, candidate->GetPreamble())) {
        AEncoding = candidate;
        return static_cast<int>(candidate->GetPreamble().size());
      }
    AEncoding = ADefaultEncoding ? ADefaultEncoding : Default();
    return 0;
  }
  const TBytes preamble = AEncoding->GetPreamble();
  return StartsWith(ABuffer, preamble) ? static_cast<int>(preamble.size()) : 0;
}

String TEncoding::GetString(const TBytes& ABytes) const
{
  return GetString(ABytes.data(), static_cast<int>(ABytes.size()));
}

String TEncoding::GetString(const TBytes& ABytes, int AIndex, int ACount) const
{
  const int size = static_cast<int>(ABytes.size());
  AIndex = std::clamp(AIndex, 0, size);
  ACount = std::clamp(ACount, 0, size - AIndex);
  return GetString(ABytes.data() + AIndex, ACount);
}

void TMBCSEncoding::Create(unsigned ACodePage)
{
  FCodePage = ACodePage;
}

TBytes TMBCSEncoding::GetPreamble() const
{
  if (FCodePage == CP_UTF8)
    return {0xEF, 0xBB, 0xBF};
  return {};
}

TBytes TMBCSEncoding::GetBytes(std::wstring_view S) const
{
  if (S.empty())
    return {};
  const int length = static_cast<int>(S.size());
  const int size = WideCharToMultiByte(FCodePage, 0, S.data(), length, nullptr, 0, nullptr, nullptr);
  TBytes result(size);
  WideCharToMultiByte(FCodePage, 0, S.data(), length, reinterpret_cast<char*>(result.data()), size, nullptr,
                      nullptr);
  return result;
}

String TMBCSEncoding::GetString(const std::uint8_t* ABytes, int ACount) const
{
  if (ACount <= 0)
    return {};
  if (FCodePage == CP_UTF8)
    return DecodeUtf8(ABytes, ACount);
  const char* bytes = reinterpret_cast<const char*>(ABytes);
  const int length = MultiByteToWideChar(FCodePage, 0, bytes, ACount, nullptr, 0);
  String result(length, L'\0');
  MultiByteToWideChar(FCodePage, 0, bytes, ACount, result.data(), length);
  return result;
}

TBytes TUnicodeEncoding::GetPreamble() const
{
  return {0xFF, 0xFE};
}

TBytes TUnicodeEncoding::GetBytes(std::wstring_view S) const
{
  TBytes result(S.size() * 2);
  std::memcpy(result.data(), S.data(), result.size());
  return result;
}

String TUnicodeEncoding::GetString(const std::uint8_t* ABytes, int ACount) const
{
  // An odd last byte is half a character: dropped.
  String result(std::max(ACount, 0) / 2, L'\0');
  std::memcpy(result.data(), ABytes, result.size() * 2);
  return result;
}

TBytes TBigEndianUnicodeEncoding::GetPreamble() const
{
  return {0xFE, 0xFF};
}

TBytes TBigEndianUnicodeEncoding::GetBytes(std::wstring_view S) const
{
  TBytes result;
  result.reserve(S.size() * 2);
  for (Char c : S) {
    result.push_back(static_cast<std::uint8_t>(c >> 8));
    result.push_back(static_cast<std::uint8_t>(c & 0xFF));
  }
  return result;
}

String TBigEndianUnicodeEncoding::GetString(const std::uint8_t* ABytes, int ACount) const
{
  String result;
  result.reserve(std::max(ACount, 0) / 2);
  for (int i = 0; i + 1 < ACount; i += 2)
    result.push_back(static_cast<Char>(ABytes[i] << 8 | ABytes[i + 1]));
  return result;
}

// ---------------------------------------------------------------------------
// TStream

void TStream::ReadBuffer(void* ABuffer, int ACount)
{
  if (ACount != 0 && Read(ABuffer, ACount) != ACount)
    throw EReadError(L"Stream read error");
}

void TStream::WriteBuffer(const void* ABuffer, int ACount)
{
  if (ACount != 0 && Write(ABuffer, ACount) != ACount)
    throw EWriteError(L"Stream write error");
}

std::int64_t TStream::CopyFrom(TStream* ASource, std::int64_t ACount)
{
  if (ACount <= 0) {
    ASource->SetPosition(0);
    ACount = ASource->GetSize();
  }
  constexpr int MaxBufSize = 0xF000;
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min<std::int64_t>(ACount, MaxBufSize)));
  for (std::int64_t left = ACount; left > 0;) {
    const int n = static_cast<int>(std::min<std::int64_t>(left, MaxBufSize));
    ASource->ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.data(), n);
    left -= n;
  }
  return ACount;
}

std::int64_t TStream::GetSize()
{
  const std::int64_t position = Seek(0, soCurrent);
  const std::int64_t result = Seek(0, soEnd);
  Seek(position, soBeginning);
  return result;
}

void TStream::SetSize(std::int64_t) {}

// ---------------------------------------------------------------------------
// THandleStream, TFileStream

void THandleStream::Create(HANDLE AHandle)
{
  FHandle = AHandle;
}

int THandleStream::Read(void* ABuffer, int ACount)
{
  DWORD done = 0;
  if (ACount <= 0 || !ReadFile(FHandle, ABuffer, ACount, &done, nullptr))
    return 0;
  return static_cast<int>(done);
}

int THandleStream::Write(const void* ABuffer, int ACount)
{
  DWORD done = 0;
  if (ACount <= 0 || !WriteFile(FHandle, ABuffer, ACount, &done, nullptr))
    return 0;
  return static_cast<int>(done);
}

std::int64_t THandleStream::Seek(std::int64_t AOffset, TSeekOrigin AOrigin)
{
  static constexpr DWORD methods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
  LARGE_INTEGER distance, result;
  distance.QuadPart = AOffset;
  if (!SetFilePointerEx(FHandle, distance, &result, methods[AOrigin]))
    return -1;
  return result.QuadPart;
}

void THandleStream::SetSize(std::int64_t ANewSize)
{
  Seek(ANewSize, soBeginning);
  if (!SetEndOfFile(FHandle))
    RaiseLastOSError();
}

namespace {

String FullPath(const String& AFileName)
{
  const DWORD length = GetFullPathNameW(AFileName.c_str(), 0, nullptr, nullptr);
  if (length == 0)
    return AFileName;
  String result(length, L'\0');
  result.resize(GetFullPathNameW(AFileName.c_str(), length, result.data(), nullptr));
  return result;
}

// The sharing a mode allows, by its fmShare value; fmShareCompat and
// fmShareExclusive share nothing.
DWORD ShareModeOf(unsigned AMode)
{
  static constexpr DWORD modes[] = {0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE};
  const unsigned index = (AMode & 0xF0) >> 4;
  return index < std::size(modes) ? modes[index] : 0;
}

DWORD AccessOf(unsigned AMode)
{
  static constexpr DWORD access[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
  const unsigned index = AMode & 3;
  return index < std::size(access) ? access[index] : 0;
}

}  // namespace

void TFileStream::Create(const String& AFileName, unsigned AMode)
{
  FFileName = AFileName;
  const bool create = (AMode & fmCreate) == fmCreate;
  const HANDLE handle = create ? CreateFileW(AFileName.c_str(), GENERIC_READ | GENERIC_WRITE, ShareModeOf(AMode),
                                             nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)
                               : CreateFileW(AFileName.c_str(), AccessOf(AMode), ShareModeOf(AMode), nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const String reason = SysErrorMessage(GetLastError());
    const String path = FullPath(AFileName);
    if (create)
      throw EFCreateError(Format(L"Cannot create file \"%s\". %s", {path, reason}));
    throw EFOpenError(Format(L"Cannot open file \"%s\". %s", {path, reason}));
  }
  inherited::Create(handle);
}

void TFileStream::Destroy()
{
  // Zero when Create failed before opening.
  if (FHandle)
    CloseHandle(FHandle);
  FHandle = nullptr;
  inherited::Destroy();
}

// ---------------------------------------------------------------------------
// TCustomMemoryStream, TMemoryStream

void TCustomMemoryStream::SetPointer(void* APtr, int ASize)
{
  FMemory = APtr;
  FSize = ASize;
}

int TCustomMemoryStream::Read(void* ABuffer, int ACount)
{
  if (FPosition < 0 || ACount <= 0 || FPosition >= FSize)
    return 0;
  const int result = static_cast<int>(std::min<std::int64_t>(FSize - FPosition, ACount));
  std::memcpy(ABuffer, static_cast<const std::uint8_t*>(FMemory) + FPosition, result);
  FPosition += result;
  return result;
}

std::int64_t TCustomMemoryStream::Seek(std::int64_t AOffset, TSeekOrigin AOrigin)
{
  switch (AOrigin) {
    case soBeginning:
      FPosition = AOffset;
      break;
    case soCurrent:
      FPosition += AOffset;
      break;
    case soEnd:
      FPosition = FSize + AOffset;
      break;
  }
  return FPosition;
}

void TCustomMemoryStream::SaveToStream(TStream* AStream)
{
  AStream->WriteBuffer(FMemory, FSize);
}

void TCustomMemoryStream::SaveToFile(const String& AFileName)
{
  TFileStream* stream = New<TFileStream>(AFileName, fmCreate);
  Finally release([&] { rtl::Free(stream); });
  SaveToStream(stream);
}

namespace {

[[noreturn]] void OutOfMemoryError()
{
  throw EStreamError(L"Out of memory while expanding memory stream");
}

}  // namespace

void TMemoryStream::Destroy()
{
  Clear();
  inherited::Destroy();
}

void TMemoryStream::Clear()
{
  SetCapacity(0);
  FSize = 0;
  FPosition = 0;
}

void TMemoryStream::SetCapacity(int ANewCapacity)
{
  void* memory = Realloc(ANewCapacity);
  SetPointer(memory, std::min(FSize, ANewCapacity));
  FCapacity = ANewCapacity;
}

void* TMemoryStream::Realloc(int& ANewCapacity)
{
  if (ANewCapacity > 0 && ANewCapacity != FSize)
    ANewCapacity = static_cast<int>(std::min<std::int64_t>(
        (static_cast<std::int64_t>(ANewCapacity) + MemoryDelta - 1) & ~std::int64_t(MemoryDelta - 1), INT_MAX));
  void* result = Memory();
  if (ANewCapacity == FCapacity)
    return result;
  if (ANewCapacity == 0) {
    std::free(result);
    return nullptr;
  }
  result = std::realloc(result, ANewCapacity);
  if (!result)
    OutOfMemoryError();
  return result;
}

// Sizes beyond what one block of a 32-bit process can hold fail as memory
// does; bytes between the old and the new size are zeroed, so no stale heap
// contents reach a file.
void TMemoryStream::Grow(std::int64_t ANewSize)
{
  if (ANewSize > INT_MAX)
    OutOfMemoryError();
  const int newSize = static_cast<int>(ANewSize);
  if (newSize > FCapacity)
    SetCapacity(newSize);
  if (newSize > FSize)
    std::memset(static_cast<std::uint8_t*>(Memory()) + FSize, 0, newSize - FSize);
  FSize = newSize;
}

int TMemoryStream::Write(const void* ABuffer, int ACount)
{
  if (FPosition < 0 || ACount <= 0)
    return 0;
  const std::int64_t end = FPosition + ACount;
  if (end > FSize) {
    // Bytes of the stream itself move with its memory when growing
    // reallocates it; read from where they went, not from the freed block.
    const auto source = reinterpret_cast<std::uintptr_t>(ABuffer);
    const auto memory = reinterpret_cast<std::uintptr_t>(Memory());
    const bool own = memory && source >= memory && source - memory < static_cast<std::uintptr_t>(FCapacity);
    Grow(end);
    if (own)
      ABuffer = static_cast<const std::uint8_t*>(Memory()) + (source - memory);
  }
  std::memmove(static_cast<std::uint8_t*>(Memory()) + FPosition, ABuffer, ACount);
  FPosition = end;
  return ACount;
}

void TMemoryStream::SetSize(std::int64_t ANewSize)
{
  if (ANewSize < 0)
    ANewSize = 0;
  if (ANewSize > FSize) {
    Grow(ANewSize);
  } else {
    const int newSize = static_cast<int>(ANewSize);
    SetCapacity(newSize);
    FSize = newSize;
  }
  if (FPosition > FSize)
    FPosition = FSize;
}

void TMemoryStream::LoadFromStream(TStream* AStream)
{
  AStream->SetPosition(0);
  const std::int64_t size = AStream->GetSize();
  SetSize(size);
  if (size != 0)
    AStream->ReadBuffer(Memory(), static_cast<int>(size));
  FPosition = 0;
}

void TMemoryStream::LoadFromFile(const String& AFileName)
{
  TFileStream* stream = New<TFileStream>(AFileName, fmOpenRead | fmShareDenyWrite);
  Finally release([&] { rtl::Free(stream); });
  LoadFromStream(stream);
}

// ---------------------------------------------------------------------------
// TBytesStream, TStringStream

void TBytesStream::Create(const TBytes& ABytes)
{
  FBytes = ABytes;
  const int size = static_cast<int>(FBytes.size());
  SetPointer(FBytes.data(), size);
  SetCapacity(size);
}

void* TBytesStream::Realloc(int& ANewCapacity)
{
  if (ANewCapacity > 0 && ANewCapacity != FSize)
    ANewCapacity = static_cast<int>(std::min<std::int64_t>(
        (static_cast<std::int64_t>(ANewCapacity) + MemoryDelta - 1) & ~std::int64_t(MemoryDelta - 1), INT_MAX));
  try {
    FBytes.resize(ANewCapacity);
  } catch (const std::bad_alloc&) {
    OutOfMemoryError();
  }
  return FBytes.empty() ? nullptr : FBytes.data();
}

void TStringStream::Create(const String& AString, TEncoding* AEncoding)
{
  FEncoding = AEncoding ? AEncoding : TEncoding::Default();
  inherited::Create(FEncoding->GetBytes(AString));
}

String TStringStream::GetDataString() const
{
  return FEncoding->GetString(GetBytes(), 0, FSize);
}

String TStringStream::ReadString(int ACount)
{
  const std::int64_t start = std::clamp<std::int64_t>(FPosition, 0, FSize);
  const int count = static_cast<int>(std::clamp<std::int64_t>(ACount, 0, FSize - start));
  FPosition = start + count;
  return FEncoding->GetString(GetBytes(), static_cast<int>(start), count);
}

void TStringStream::WriteString(const String& AString)
{
  const TBytes bytes = FEncoding->GetBytes(AString);
  WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
}

// ---------------------------------------------------------------------------
// TResourceStream

void TResourceStream::Create(HINSTANCE AInstance, const String& AResName, const wchar_t* AResType)
{
  Initialize(AInstance, AResName.c_str(), AResName, AResType);
}

void TResourceStream::CreateFromID(HINSTANCE AInstance, int AResID, const wchar_t* AResType)
{
  Initialize(AInstance, MAKEINTRESOURCEW(AResID), IntToStr(AResID), AResType);
}

void TResourceStream::Initialize(HINSTANCE AInstance, const wchar_t* AName, const String& AShownName,
                                 const wchar_t* AResType)
{
  const HRSRC info = FindResourceW(AInstance, AName, AResType);
  const HGLOBAL data = info ? LoadResource(AInstance, info) : nullptr;
  if (!data)
    throw EResNotFound(Format(L"Resource %s not found", {AShownName}));
  // Resource memory stays mapped with the module: nothing to free.
  SetPointer(LockResource(data), static_cast<int>(SizeofResource(AInstance, info)));
}

int TResourceStream::Write(const void*, int)
{
  throw EStreamError(L"Can't write to a read-only resource stream");
}

// ---------------------------------------------------------------------------
// TStreamAdapter

void TStreamAdapter::Create(TStream* AStream, TStreamOwnership AOwnership)
{
  FStream = AStream;
  FOwnership = AOwnership;
}

void TStreamAdapter::Destroy()
{
  if (FOwnership == soOwned)
    FreeAndNil(FStream);
  inherited::Destroy();
}

HRESULT __stdcall TStreamAdapter::QueryInterface(REFIID AIID, void** AObj)
{
  return inherited::QueryInterface(AIID, AObj);
}

// What freeing raises is reported; the adapter is gone all the same.
ULONG __stdcall TStreamAdapter::Release()
{
  return GuardCallback(ULONG{0}, [this] { return inherited::Release(); });
}

HRESULT __stdcall TStreamAdapter::Read(void* pv, ULONG cb, ULONG* pcbRead)
{
  return GuardCallback(E_FAIL, [&] {
    if (!pv)
      return STG_E_INVALIDPOINTER;
    const int count = FStream->Read(pv, static_cast<int>(std::min<ULONG>(cb, INT_MAX)));
    if (pcbRead)
      *pcbRead = static_cast<ULONG>(count);
    return S_OK;
  });
}

HRESULT __stdcall TStreamAdapter::Write(const void* pv, ULONG cb, ULONG* pcbWritten)
{
  return GuardCallback(E_FAIL, [&] {
    if (!pv)
      return STG_E_INVALIDPOINTER;
    const int count = FStream->Write(pv, static_cast<int>(std::min<ULONG>(cb, INT_MAX)));
    if (pcbWritten)
      *pcbWritten = static_cast<ULONG>(count);
    return count == static_cast<int>(cb) ? S_OK : STG_E_CANTSAVE;
  });
}

HRESULT __stdcall TStreamAdapter::Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition)
{
  return GuardCallback(E_FAIL, [&] {
    TSeekOrigin origin;
    switch (dwOrigin) {
      case STREAM_SEEK_SET: origin = soBeginning; break;
      case STREAM_SEEK_CUR: origin = soCurrent; break;
      case STREAM_SEEK_END: origin = soEnd; break;
      default: return STG_E_INVALIDFUNCTION;
    }
    // Before the start is no position (and a file stream answers -1 for a
    // seek it refused): an error for COM, the old position kept.
    const std::int64_t previous = FStream->GetPosition();
    const std::int64_t position = FStream->Seek(dlibMove.QuadPart, origin);
    if (position < 0) {
      FStream->SetPosition(previous);
      return STG_E_INVALIDFUNCTION;
    }
    if (plibNewPosition)
      plibNewPosition->QuadPart = static_cast<ULONGLONG>(position);
    return S_OK;
  });
}

HRESULT __stdcall TStreamAdapter::SetSize(ULARGE_INTEGER libNewSize)
{
  return GuardCallback(E_FAIL, [&] {
    const auto size = static_cast<std::int64_t>(libNewSize.QuadPart);
    FStream->SetSize(size);
    return FStream->GetSize() == size ? S_OK : E_FAIL;
  });
}

HRESULT __stdcall TStreamAdapter::CopyTo(IStream* pstm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead,
                                         ULARGE_INTEGER* pcbWritten)
{
  return GuardCallback(E_FAIL, [&] {
    if (!pstm)
      return STG_E_INVALIDPOINTER;
    constexpr ULONG ChunkSize = 32 * 1024;
    std::vector<std::uint8_t> chunk(ChunkSize);
    ULONGLONG totalRead = 0;
    ULONGLONG totalWritten = 0;
    HRESULT result = S_OK;
    while (totalRead < cb.QuadPart) {
      const ULONG wanted = static_cast<ULONG>(std::min<ULONGLONG>(ChunkSize, cb.QuadPart - totalRead));
      const int got = FStream->Read(chunk.data(), static_cast<int>(wanted));
      if (got <= 0)
        break;
      totalRead += static_cast<ULONG>(got);
      ULONG written = 0;
      result = pstm->Write(chunk.data(), static_cast<ULONG>(got), &written);
      totalWritten += written;
      if (FAILED(result) || written != static_cast<ULONG>(got))
        break;
    }
    if (pcbRead)
      pcbRead->QuadPart = totalRead;
    if (pcbWritten)
      pcbWritten->QuadPart = totalWritten;
    return FAILED(result) ? result : (totalWritten == totalRead ? S_OK : STG_E_MEDIUMFULL);
  });
}

HRESULT __stdcall TStreamAdapter::Commit(DWORD)
{
  return S_OK;
}

HRESULT __stdcall TStreamAdapter::Revert()
{
  return STG_E_REVERTED;
}

HRESULT __stdcall TStreamAdapter::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
  return STG_E_INVALIDFUNCTION;
}

HRESULT __stdcall TStreamAdapter::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
  return STG_E_INVALIDFUNCTION;
}

HRESULT __stdcall TStreamAdapter::Stat(STATSTG* pstatstg, DWORD)
{
  return GuardCallback(E_FAIL, [&] {
    if (!pstatstg)
      return STG_E_INVALIDPOINTER;
    *pstatstg = STATSTG{};
    pstatstg->type = STGTY_STREAM;
    pstatstg->cbSize.QuadPart = static_cast<ULONGLONG>(FStream->GetSize());
    pstatstg->grfMode = STGM_READWRITE;
    pstatstg->grfLocksSupported = LOCK_WRITE;
    return S_OK;
  });
}

HRESULT __stdcall TStreamAdapter::Clone(IStream** ppstm)
{
  if (ppstm)
    *ppstm = nullptr;
  return E_NOTIMPL;
}

}  // namespace rtl
