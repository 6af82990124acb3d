// Streams and text encodings of the Classes unit:
//   EStreamError and its descendants (EReadError, EWriteError, EFCreateError,
//   EFOpenError), EResNotFound
//   TBytes, TEncoding (Default/ANSI, UTF8, Unicode, BigEndianUnicode)
//   TStream, THandleStream, TFileStream (fmCreate, fmOpenRead, ... modes)
//   TCustomMemoryStream, TMemoryStream, TBytesStream, TStringStream,
//   TResourceStream
//
// Sizes and positions are 64-bit as the framework's are; memory streams hold
// at most 2 GB - 1 (a 32-bit process has no more).
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "platform/rtl/System.h"

namespace rtl {

RTL_DECLARE_EXCEPTION(EStreamError, Exception);
RTL_DECLARE_EXCEPTION(EReadError, EStreamError);
RTL_DECLARE_EXCEPTION(EWriteError, EStreamError);
RTL_DECLARE_EXCEPTION(EFileStreamError, EStreamError);
RTL_DECLARE_EXCEPTION(EFCreateError, EFileStreamError);
RTL_DECLARE_EXCEPTION(EFOpenError, EFileStreamError);
RTL_DECLARE_EXCEPTION(EResNotFound, Exception);

using TBytes = std::vector<std::uint8_t>;

// ---------------------------------------------------------------------------
// Encodings: byte texts to and from String. The four standard encodings are
// shared objects the caller never frees; IsStandardEncoding tells them apart
// from encodings a caller made.

class TEncoding : public TObject {
  RTL_CLASS(TEncoding, TObject)

 public:
  // The system's ANSI code page (Default and ANSI are the same object).
  static TEncoding* Default();
  static TEncoding* ANSI();
  static TEncoding* UTF8();
  // UTF-16 little-endian and big-endian.
  static TEncoding* Unicode();
  static TEncoding* BigEndianUnicode();
  static bool IsStandardEncoding(const TEncoding* AEncoding);

  // With AEncoding null: finds the encoding by a byte-order mark at the start
  // of ABuffer (UTF-16 LE, UTF-16 BE, UTF-8), else takes ADefaultEncoding
  // (Default when null). With AEncoding given: keeps it. Answers the length
  // of the encoding's byte-order mark when ABuffer starts with it, else 0.
  static int GetBufferEncoding(const TBytes& ABuffer, TEncoding*& AEncoding,
                               TEncoding* ADefaultEncoding = nullptr);

  virtual TBytes GetPreamble() const = 0;
  virtual unsigned GetCodePage() const = 0;
  virtual TBytes GetBytes(std::wstring_view S) const = 0;
  // ACount bytes from AIndex on, clamped to the buffer.
  virtual String GetString(const std::uint8_t* ABytes, int ACount) const = 0;
  String GetString(const TBytes& ABytes) const;
  String GetString(const TBytes& ABytes, int AIndex, int ACount) const;
};

// An encoding of a Windows code page (ANSI code pages, UTF-8): characters
// the code page lacks become its default character, bytes that are no
// character of it become U+FFFD, as MultiByteToWideChar does.
class TMBCSEncoding : public TEncoding {
  RTL_CLASS(TMBCSEncoding, TEncoding)

 public:
  void Create() { Create(CP_ACP); }
  void Create(unsigned ACodePage);

  TBytes GetPreamble() const override;
  unsigned GetCodePage() const override { return FCodePage; }
  TBytes GetBytes(std::wstring_view S) const override;
  using TEncoding::GetString;
  String GetString(const std::uint8_t* ABytes, int ACount) const override;

 private:
  unsigned FCodePage;
};

class TUTF8Encoding : public TMBCSEncoding {
  RTL_CLASS(TUTF8Encoding, TMBCSEncoding)

 public:
  void Create() { inherited::Create(CP_UTF8); }
};

class TUnicodeEncoding : public TEncoding {
  RTL_CLASS(TUnicodeEncoding, TEncoding)

 public:
  TBytes GetPreamble() const override;
  unsigned GetCodePage() const override { return 1200; }
  TBytes GetBytes(std::wstring_view S) const override;
  using TEncoding::GetString;
  String GetString(const std::uint8_t* ABytes, int ACount) const override;
};

class TBigEndianUnicodeEncoding : public TUnicodeEncoding {
  RTL_CLASS(TBigEndianUnicodeEncoding, TUnicodeEncoding)

 public:
  TBytes GetPreamble() const override;
  unsigned GetCodePage() const override { return 1201; }
  TBytes GetBytes(std::wstring_view S) const override;
  using TEncoding::GetString;
  String GetString(const std::uint8_t* ABytes, int ACount) const override;
};

// ---------------------------------------------------------------------------
// Streams

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

// File modes: one access mode, or-ed with one sharing mode; fmCreate makes
// the file, or empties it when it exists.
enum : unsigned {
  fmOpenRead = 0x0000,
  fmOpenWrite = 0x0001,
  fmOpenReadWrite = 0x0002,
  fmShareCompat = 0x0000,
  fmShareExclusive = 0x0010,
  fmShareDenyWrite = 0x0020,
  fmShareDenyRead = 0x0030,
  fmShareDenyNone = 0x0040,
  fmCreate = 0xFF00,
};

class TStream : public TObject {
  RTL_CLASS(TStream, TObject)

 public:
  // Up to ACount bytes; answers how many were transferred.
  virtual int Read(void* ABuffer, int ACount) = 0;
  virtual int Write(const void* ABuffer, int ACount) = 0;
  // Answers the new position.
  virtual std::int64_t Seek(std::int64_t AOffset, TSeekOrigin AOrigin) = 0;

  // All ACount bytes or EReadError "Stream read error" / EWriteError
  // "Stream write error".
  void ReadBuffer(void* ABuffer, int ACount);
  void WriteBuffer(const void* ABuffer, int ACount);
  // Copies ACount bytes from ASource's position on; ACount 0 (or below)
  // copies the whole of ASource from its start. Answers the bytes copied.
  std::int64_t CopyFrom(TStream* ASource, std::int64_t ACount);

  std::int64_t GetPosition() { return Seek(0, soCurrent); }
  void SetPosition(std::int64_t APosition) { Seek(APosition, soBeginning); }
  virtual std::int64_t GetSize();
  // Does nothing here: a stream whose size can change says how.
  virtual void SetSize(std::int64_t ANewSize);
};

// A stream over a file handle the caller owns.
class THandleStream : public TStream {
  RTL_CLASS(THandleStream, TStream)

 public:
  void Create(HANDLE AHandle);

  int Read(void* ABuffer, int ACount) override;
  int Write(const void* ABuffer, int ACount) override;
  std::int64_t Seek(std::int64_t AOffset, TSeekOrigin AOrigin) override;
  // Raises EOSError when the file cannot take the size.
  void SetSize(std::int64_t ANewSize) override;
  HANDLE GetHandle() const { return FHandle; }

 protected:
  HANDLE FHandle;
};

// A stream over a file it opens and closes. Failures raise EFCreateError
// "Cannot create file "%s". %s" or EFOpenError "Cannot open file "%s". %s"
// with the full path and the system's text.
class TFileStream : public THandleStream {
  RTL_CLASS(TFileStream, THandleStream)

 public:
  void Create(const String& AFileName, unsigned AMode);
  void Destroy() override;
  const String& GetFileName() const { return FFileName; }

 private:
  String FFileName;
};

// A stream over a block of memory: reading and seeking; SetPointer gives the
// block. Positions beyond the end are allowed (reading there gives nothing).
class TCustomMemoryStream : public TStream {
  RTL_CLASS(TCustomMemoryStream, TStream)

 public:
  int Read(void* ABuffer, int ACount) override;
  std::int64_t Seek(std::int64_t AOffset, TSeekOrigin AOrigin) override;
  void SaveToStream(TStream* AStream);
  void SaveToFile(const String& AFileName);
  void* Memory() const { return FMemory; }

 protected:
  void SetPointer(void* APtr, int ASize);
  int FSize;
  std::int64_t FPosition;

 private:
  void* FMemory;
};

// A memory stream that grows as it is written. Its memory comes from
// Realloc, which a descendant overrides to use another allocator.
class TMemoryStream : public TCustomMemoryStream {
  RTL_CLASS(TMemoryStream, TCustomMemoryStream)

 public:
  void Destroy() override;
  int Write(const void* ABuffer, int ACount) override;
  // Bytes a larger size adds are zero.
  void SetSize(std::int64_t ANewSize) override;
  void Clear();
  void LoadFromStream(TStream* AStream);
  void LoadFromFile(const String& AFileName);

 protected:
  // The step capacity grows in.
  static constexpr int MemoryDelta = 0x2000;
  // Answers memory of ANewCapacity bytes holding the current contents (up to
  // the smaller size), or none for 0; the current memory is Memory(). This
  // one rounds a capacity other than the size up to a multiple of
  // MemoryDelta and may change ANewCapacity accordingly. Raises EStreamError
  // when no memory is left.
  virtual void* Realloc(int& ANewCapacity);
  int GetCapacity() const { return FCapacity; }
  void SetCapacity(int ANewCapacity);

 private:
  void Grow(std::int64_t ANewSize);
  int FCapacity;
};

// A memory stream whose memory is a byte array; Bytes() may be longer than
// the stream's size.
class TBytesStream : public TMemoryStream {
  RTL_CLASS(TBytesStream, TMemoryStream)

 public:
  void Create() {}
  void Create(const TBytes& ABytes);
  const TBytes& GetBytes() const { return FBytes; }

 protected:
  void* Realloc(int& ANewCapacity) override;

 private:
  TBytes FBytes;
};

// A bytes stream holding text in an encoding (Default when none is given).
class TStringStream : public TBytesStream {
  RTL_CLASS(TStringStream, TBytesStream)

 public:
  void Create() { Create(String()); }
  void Create(const String& AString, TEncoding* AEncoding = nullptr);
  // The whole contents, decoded.
  String GetDataString() const;
  // ACount bytes from the position on, decoded.
  String ReadString(int ACount);
  void WriteString(const String& AString);
  TEncoding* GetEncoding() const { return FEncoding; }

 private:
  TEncoding* FEncoding;
};

// A read-only stream over a resource of a module. Raises EResNotFound
// "Resource %s not found" when the module has no such resource.
class TResourceStream : public TCustomMemoryStream {
  RTL_CLASS(TResourceStream, TCustomMemoryStream)

 public:
  // AResType is a name or MAKEINTRESOURCE(number), such as RT_RCDATA.
  void Create(HINSTANCE AInstance, const String& AResName, const wchar_t* AResType);
  void CreateFromID(HINSTANCE AInstance, int AResID, const wchar_t* AResType);
  // Raises EStreamError: resources are read-only.
  int Write(const void* ABuffer, int ACount) override;

 private:
  void Initialize(HINSTANCE AInstance, const wchar_t* AName, const String& AShownName, const wchar_t* AResType);
};

enum TStreamOwnership { soReference, soOwned };

// Presents a stream as a COM IStream, so that COM code (the graphics
// library's image codecs) reads and writes the system's streams. An owned
// stream is freed with the adapter. Only what a plain stream can do is
// offered: no transactions, no region locks, no clones. COM callers sit
// outside the system's exception handling, so every method that can raise
// runs in GuardCallback; Release too, as the last one frees an owned stream.
class TStreamAdapter : public TInterfacedObject, public IStream {
  RTL_CLASS(TStreamAdapter, TInterfacedObject)
  RTL_INTERFACE_TABLE(ISequentialStream, IStream)

 public:
  HRESULT __stdcall QueryInterface(REFIID AIID, void** AObj) override;
  ULONG __stdcall AddRef() override { return inherited::AddRef(); }
  ULONG __stdcall Release() override;

  void Create(TStream* AStream, TStreamOwnership AOwnership = soReference);
  void Destroy() override;

  TStream* GetStream() const { return FStream; }
  TStreamOwnership GetStreamOwnership() const { return FOwnership; }

  HRESULT __stdcall Read(void* pv, ULONG cb, ULONG* pcbRead) override;
  HRESULT __stdcall Write(const void* pv, ULONG cb, ULONG* pcbWritten) override;
  HRESULT __stdcall Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition) override;
  HRESULT __stdcall SetSize(ULARGE_INTEGER libNewSize) override;
  HRESULT __stdcall CopyTo(IStream* pstm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead,
                           ULARGE_INTEGER* pcbWritten) override;
  HRESULT __stdcall Commit(DWORD grfCommitFlags) override;
  HRESULT __stdcall Revert() override;
  HRESULT __stdcall LockRegion(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb, DWORD dwLockType) override;
  HRESULT __stdcall UnlockRegion(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb, DWORD dwLockType) override;
  // The size, STGTY_STREAM and the access the framework reports; no name.
  HRESULT __stdcall Stat(STATSTG* pstatstg, DWORD grfStatFlag) override;
  HRESULT __stdcall Clone(IStream** ppstm) override;

 private:
  TStream* FStream;
  TStreamOwnership FOwnership;
};

}  // namespace rtl
