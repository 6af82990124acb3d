// The filer of the Classes unit: TFiler, TWriter, TReader.
#include "platform/rtl/ClassesFiler.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <cwctype>
#include <limits>
#include <string>
#include <utility>

#include "platform/rtl/ClassesThreads.h"
#include "platform/rtl/SysUtilsFormat.h"

using enum rtl::TComponentStateFlag;
using enum rtl::TComponentStyleFlag;
using enum rtl::TFloatType;
using enum rtl::TOperation;
using enum rtl::TTypeKind;
using enum rtl::TValueType;

namespace rtl {

namespace {

// A corrupt length must not make the reader allocate gigabytes before the
// stream runs out: texts and blocks are read in pieces of this size.
constexpr int ReadChunk = 0x10000;

// No form nests lists, collections or components this deep; a corrupt
// stream or text that does is refused before the recursion that reads it
// runs out of stack.
constexpr int MaxNesting = 256;

// One level of nesting for the scope of a recursive reading step.
class TFilerNesting {
 public:
  explicit TFilerNesting(int& ADepth) : FDepth(ADepth) { ++FDepth; }
  ~TFilerNesting() { --FDepth; }
  TFilerNesting(const TFilerNesting&) = delete;
  TFilerNesting& operator=(const TFilerNesting&) = delete;
  bool TooDeep() const { return FDepth > MaxNesting; }

 private:
  int& FDepth;
};

constexpr const wchar_t* NestingError = L"Values nested too deeply";

// Strict: a text with an unpaired surrogate has no UTF-8 form, and the
// writer keeps such a text in UTF-16 rather than lose the code unit.
bool TryToUtf8(std::wstring_view AText, std::string& AResult)
{
  AResult.clear();
  if (AText.empty())
    return true;
  const int length = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, AText.data(),
                                         static_cast<int>(AText.size()), nullptr, 0, nullptr, nullptr);
  if (length <= 0)
    return false;
  AResult.resize(length);
  WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, AText.data(), static_cast<int>(AText.size()),
                      AResult.data(), length, nullptr, nullptr);
  return true;
}

String FromCodePage(unsigned ACodePage, const std::string& ABytes)
{
  if (ABytes.empty())
    return String();
  const int length =
      MultiByteToWideChar(ACodePage, 0, ABytes.data(), static_cast<int>(ABytes.size()), nullptr, 0);
  String result(length, L'\0');
  MultiByteToWideChar(ACodePage, 0, ABytes.data(), static_cast<int>(ABytes.size()), result.data(), length);
  return result;
}

bool IsAscii(const std::string& ABytes)
{
  return std::none_of(ABytes.begin(), ABytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

bool FilerIsStringKind(TTypeKind AKind)
{
  return AKind == tkString || AKind == tkLString || AKind == tkWString || AKind == tkUString;
}

bool FilerIsOrdinalKind(TTypeKind AKind)
{
  return AKind == tkInteger || AKind == tkChar || AKind == tkWChar || AKind == tkEnumeration || AKind == tkSet;
}

}  // namespace

// ---------------------------------------------------------------------------
// TFiler

void TFiler::Create(TStream* AStream, int ABufSize)
{
  FStream = AStream;
  FBuffer.resize(std::max(ABufSize, 16));
}

// ---------------------------------------------------------------------------
// TWriter: values

void TWriter::Destroy()
{
  if (FStream && FBufPos > 0) {
    try {
      FlushBuffer();
    } catch (...) {
      HandleCallbackException(this);
    }
  }
  inherited::Destroy();
}

// The bytes are handed over once: a stream that refuses them raises to the
// caller, and Destroy does not try (and report) them a second time.
void TWriter::FlushBuffer()
{
  FStream->WriteBuffer(FBuffer.data(), std::exchange(FBufPos, 0));
}

void TWriter::SetRoot(TComponent* AValue)
{
  inherited::SetRoot(AValue);
  FLookupRoot = AValue;
}

void TWriter::Write(const void* ABuffer, int ACount)
{
  const auto* bytes = static_cast<const std::uint8_t*>(ABuffer);
  const int size = static_cast<int>(FBuffer.size());
  while (ACount > 0) {
    if (FBufPos == size)
      FlushBuffer();
    const int count = std::min(ACount, size - FBufPos);
    std::memcpy(FBuffer.data() + FBufPos, bytes, count);
    FBufPos += count;
    bytes += count;
    ACount -= count;
  }
}

void TWriter::WriteValue(TValueType AValue)
{
  const std::uint8_t value = AValue;
  Write(&value, 1);
}

void TWriter::WriteSignature()
{
  Write(FilerSignature, sizeof(FilerSignature));
}

void TWriter::WriteStr(const String& AValue)
{
  std::string bytes;
  // A name cut to the one-byte length would name something else (or end in
  // half a character): it is refused instead.
  if (!TryToUtf8(AValue, bytes) || bytes.size() > 255)
    throw EWriteError(Format(L"Invalid name: %s", {AValue}));
  const std::uint8_t length = static_cast<std::uint8_t>(bytes.size());
  Write(&length, 1);
  Write(bytes.data(), length);
}

void TWriter::WritePropName(const String& AName)
{
  WriteStr(FPropPath + AName);
}

void TWriter::WriteInteger(int AValue)
{
  if (AValue >= -128 && AValue <= 127) {
    const std::int8_t value = static_cast<std::int8_t>(AValue);
    WriteValue(vaInt8);
    Write(&value, 1);
  } else if (AValue >= -32768 && AValue <= 32767) {
    const std::int16_t value = static_cast<std::int16_t>(AValue);
    WriteValue(vaInt16);
    Write(&value, 2);
  } else {
    WriteValue(vaInt32);
    Write(&AValue, 4);
  }
}

void TWriter::WriteInteger(std::int64_t AValue)
{
  if (AValue >= INT_MIN && AValue <= INT_MAX) {
    WriteInteger(static_cast<int>(AValue));
    return;
  }
  WriteValue(vaInt64);
  Write(&AValue, 8);
}

void TWriter::WriteBoolean(bool AValue)
{
  WriteValue(AValue ? vaTrue : vaFalse);
}

void TWriter::WriteChar(Char AValue)
{
  WriteString(String(1, AValue));
}

void TWriter::WriteFloat(Extended AValue)
{
  static_assert(sizeof(Extended) >= 10, "the stored form is the 80-bit extended type");
  WriteValue(vaExtended);
  Write(&AValue, 10);
}

void TWriter::WriteSingle(float AValue)
{
  WriteValue(vaSingle);
  Write(&AValue, 4);
}

void TWriter::WriteCurrency(Currency AValue)
{
  const std::int64_t raw = AValue.Raw();
  WriteValue(vaCurrency);
  Write(&raw, 8);
}

void TWriter::WriteDate(TDateTime AValue)
{
  WriteValue(vaDate);
  Write(&AValue, 8);
}

void TWriter::WriteStringBytes(TValueType AType, const void* AData, int ALength, int ALengthSize)
{
  WriteValue(AType);
  Write(&ALength, ALengthSize);
  Write(AData, AType == vaWString ? ALength * 2 : ALength);
}

void TWriter::WriteString(const String& AValue)
{
  const int count = static_cast<int>(AValue.size());
  std::string utf8;
  if (TryToUtf8(AValue, utf8) && static_cast<int>(utf8.size()) < 2 * count) {
    const int length = static_cast<int>(utf8.size());
    if (!IsAscii(utf8))
      WriteStringBytes(vaUTF8String, utf8.data(), length, 4);
    else if (length > 255)
      WriteStringBytes(vaLString, utf8.data(), length, 4);
    else
      WriteStringBytes(vaString, utf8.data(), length, 1);
    return;
  }
  WriteStringBytes(vaWString, AValue.data(), count, 4);
}

void TWriter::WriteIdent(const String& AValue)
{
  if (SameText(AValue, L"False"))
    WriteValue(vaFalse);
  else if (SameText(AValue, L"True"))
    WriteValue(vaTrue);
  else if (SameText(AValue, L"nil"))
    WriteValue(vaNil);
  else if (SameText(AValue, L"Null"))
    WriteValue(vaNull);
  else {
    WriteValue(vaIdent);
    WriteStr(AValue);
  }
}

void TWriter::WriteSet(const TEnumInfo* AInfo, std::uint32_t AOrd)
{
  WriteValue(vaSet);
  for (int i = 0; i < AInfo->Count() && i < 32; ++i)
    if (AOrd >> i & 1)
      WriteStr(String(AInfo->Names[i]));
  WriteStr(String());
}

void TWriter::WriteBinary(const void* ABuffer, int ACount)
{
  WriteValue(vaBinary);
  Write(&ACount, 4);
  Write(ABuffer, ACount);
}

void TWriter::WriteBinary(TStreamProc AWriteData)
{
  TOwnedPtr<TMemoryStream> stream(New<TMemoryStream>());
  AWriteData(stream.get());
  WriteBinary(stream->Memory(), static_cast<int>(stream->GetSize()));
}

void TWriter::WriteVariant(const Variant& AValue)
{
  switch (AValue.VarType()) {
    case varEmpty:
      WriteValue(vaNil);
      break;
    case varNull:
      WriteValue(vaNull);
      break;
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
      WriteInteger(AValue.AsInteger());
      break;
    case varLongWord:
    case varInt64:
    case varUInt64:
      // AsInt64 raises for an unsigned value beyond the signed range, which
      // no stored form holds.
      try {
        WriteInteger(AValue.AsInt64());
      } catch (const EVariantError&) {
        throw EWriteError(L"Invalid variant type");
      }
      break;
    case varSingle:
      WriteSingle(static_cast<float>(AValue.AsDouble()));
      break;
    case varDouble:
      WriteFloat(AValue.AsDouble());
      break;
    case varCurrency:
      WriteCurrency(AValue.AsCurrency());
      break;
    case varDate:
      WriteDate(AValue.AsDateTime());
      break;
    case varBoolean:
      WriteBoolean(AValue.AsBoolean());
      break;
    case varOleStr:
    case varString:
    case varUString:
      WriteString(AValue.AsString());
      break;
    default:
      throw EWriteError(L"Invalid variant type");
  }
}

void TWriter::WriteListBegin()
{
  WriteValue(vaList);
}

void TWriter::WriteListEnd()
{
  WriteValue(vaNull);
}

std::int64_t TWriter::GetPosition()
{
  return FStream->GetPosition() + FBufPos;
}

void TWriter::SetPosition(std::int64_t AValue)
{
  FlushBuffer();
  FStream->SetPosition(AValue);
}

void TWriter::DefineProperty(const String& AName, TReaderProc, TWriterProc AWriteData, bool AHasData)
{
  if (!AHasData || !AWriteData)
    return;
  WritePropName(AName);
  AWriteData(this);
}

void TWriter::DefineBinaryProperty(const String& AName, TStreamProc, TStreamProc AWriteData, bool AHasData)
{
  if (!AHasData || !AWriteData)
    return;
  WritePropName(AName);
  WriteBinary(AWriteData);
}

// ---------------------------------------------------------------------------
// TWriter: properties

void TWriter::WriteProperties(TPersistent* AInstance)
{
  for (const TPropInfo* prop : GetPropList(AInstance))
    if (IsStoredProp(AInstance, prop))
      WriteProperty(AInstance, prop);
  AInstance->DefineProperties(this);
}

void TWriter::WriteProperty(TPersistent* AInstance, const TPropInfo* AProp)
{
  const TTypeInfo* type = AProp->PropType;
  if (type->Kind == tkClass) {
    WriteObjectProperty(AInstance, AProp);
    return;
  }
  // A value nothing can set again is not worth storing.
  if (!AProp->Set)
    return;
  TPersistent* ancestor = FAncestor;
  const TPropInfo* ancestorProp = ancestor ? GetPropInfo(ancestor, AProp->Name) : nullptr;
  if (ancestorProp && ancestorProp->PropType != type)
    ancestorProp = nullptr;

  if (FilerIsOrdinalKind(type->Kind)) {
    const std::int64_t value = GetOrdProp(AInstance, AProp);
    if (ancestorProp ? value == GetOrdProp(ancestor, ancestorProp)
                     : AProp->Default != NoDefault && value == AProp->Default)
      return;
    WritePropName(String(AProp->Name));
    String ident;
    if (type->Kind == tkInteger && type->IntToIdent && type->IntToIdent(static_cast<int>(value), ident))
      WriteIdent(ident);
    else if (type->Kind == tkInteger)
      WriteInteger(value);
    else if (type->Kind == tkChar || type->Kind == tkWChar)
      WriteChar(static_cast<Char>(value));
    else if (type->Kind == tkSet)
      WriteSet(type->CompType->EnumInfo, static_cast<std::uint32_t>(value));
    else
      WriteIdent(GetEnumName(type, static_cast<int>(value)));
  } else if (type->Kind == tkInt64) {
    const std::int64_t value = GetInt64Prop(AInstance, AProp);
    if (value == (ancestorProp ? GetInt64Prop(ancestor, ancestorProp) : 0))
      return;
    WritePropName(String(AProp->Name));
    WriteInteger(value);
  } else if (type->Kind == tkFloat) {
    const Extended value = GetFloatProp(AInstance, AProp);
    if (value == (ancestorProp ? GetFloatProp(ancestor, ancestorProp) : 0))
      return;
    WritePropName(String(AProp->Name));
    if (type == &TypeInfoDateTime)
      WriteDate(static_cast<TDateTime>(value));
    else if (type->FloatType == ftSingle)
      WriteSingle(static_cast<float>(value));
    else if (type->FloatType == ftCurr)
      WriteCurrency(Currency::FromRaw(Round(value * 10000)));
    else
      WriteFloat(value);
  } else if (FilerIsStringKind(type->Kind)) {
    const String value = GetStrProp(AInstance, AProp);
    if (value == (ancestorProp ? GetStrProp(ancestor, ancestorProp) : String()))
      return;
    WritePropName(String(AProp->Name));
    WriteString(value);
  } else if (type->Kind == tkMethod) {
    const TMethodRaw value = GetMethodProp(AInstance, AProp);
    const TMethodRaw ancestorValue = ancestorProp ? GetMethodProp(ancestor, ancestorProp) : TMethodRaw();
    if (value.Code == ancestorValue.Code)
      return;
    if (!value.Code) {
      WritePropName(String(AProp->Name));
      WriteValue(vaNil);
      return;
    }
    // Only a published method of the root can be bound again by name; an
    // event the program assigned in code is left out rather than written as
    // a name no reader could find.
    const String name = FLookupRoot ? MethodName(FLookupRoot->ClassType(), value.Code) : String();
    if (name.empty())
      return;
    WritePropName(String(AProp->Name));
    WriteIdent(name);
  } else if (type->Kind == tkVariant) {
    const Variant value = GetVariantProp(AInstance, AProp);
    if (ancestorProp ? value == GetVariantProp(ancestor, ancestorProp) : value.VarType() == varEmpty)
      return;
    WritePropName(String(AProp->Name));
    WriteVariant(value);
  }
}

// ---------------------------------------------------------------------------
// TReader: values

void TReader::Destroy()
{
  if (FStream) {
    try {
      FlushBuffer();
    } catch (...) {
      HandleCallbackException(this);
    }
  }
  inherited::Destroy();
}

void TReader::FlushBuffer()
{
  FStream->Seek(FBufPos - FBufEnd, soCurrent);
  FBufPos = 0;
  FBufEnd = 0;
}

void TReader::Read(void* ABuffer, int ACount)
{
  auto* bytes = static_cast<std::uint8_t*>(ABuffer);
  while (ACount > 0) {
    if (FBufPos == FBufEnd) {
      FBufPos = 0;
      FBufEnd = FStream->Read(FBuffer.data(), static_cast<int>(FBuffer.size()));
      if (FBufEnd <= 0) {
        FBufEnd = 0;
        throw EReadError(L"Stream read error");
      }
    }
    const int count = std::min(ACount, FBufEnd - FBufPos);
    std::memcpy(bytes, FBuffer.data() + FBufPos, count);
    FBufPos += count;
    bytes += count;
    ACount -= count;
  }
}

std::uint8_t TReader::ReadByte()
{
  std::uint8_t value;
  Read(&value, 1);
  return value;
}

TValueType TReader::ReadValue()
{
  return static_cast<TValueType>(ReadByte());
}

TValueType TReader::NextValue()
{
  const TValueType result = ReadValue();
  // The byte just read is still in the buffer.
  --FBufPos;
  return result;
}

void TReader::PropValueError()
{
  throw EReadError(L"Invalid property value");
}

void TReader::CheckValue(TValueType AValue)
{
  if (ReadValue() != AValue) {
    --FBufPos;
    PropValueError();
  }
}

bool TReader::EndOfList()
{
  return NextValue() == vaNull;
}

void TReader::ReadListBegin()
{
  CheckValue(vaList);
}

void TReader::ReadListEnd()
{
  CheckValue(vaNull);
}

void TReader::ReadSignature()
{
  char signature[sizeof(FilerSignature)];
  Read(signature, sizeof(signature));
  if (std::memcmp(signature, FilerSignature, sizeof(signature)) != 0)
    throw EReadError(L"Invalid stream format");
}

namespace {

std::string ReadBytes(TReader* AReader, std::int64_t ALength)
{
  if (ALength < 0)
    throw EReadError(L"Invalid property value");
  std::string result;
  while (static_cast<std::int64_t>(result.size()) < ALength) {
    const std::size_t old = result.size();
    const int count = static_cast<int>(std::min<std::int64_t>(ReadChunk, ALength - static_cast<std::int64_t>(old)));
    result.resize(old + count);
    AReader->Read(result.data() + old, count);
  }
  return result;
}

}  // namespace

String TReader::ReadStr()
{
  return FromCodePage(CP_UTF8, ReadBytes(this, ReadByte()));
}

int TReader::ReadInteger()
{
  switch (ReadValue()) {
    case vaInt8:
      return static_cast<std::int8_t>(ReadByte());
    case vaInt16: {
      std::int16_t value;
      Read(&value, 2);
      return value;
    }
    case vaInt32: {
      std::int32_t value;
      Read(&value, 4);
      return value;
    }
    default:
      --FBufPos;
      PropValueError();
  }
}

std::int64_t TReader::ReadInt64()
{
  if (NextValue() != vaInt64)
    return ReadInteger();
  ReadValue();
  std::int64_t value;
  Read(&value, 8);
  return value;
}

bool TReader::ReadBoolean()
{
  switch (ReadValue()) {
    case vaFalse:
      return false;
    case vaTrue:
      return true;
    default:
      --FBufPos;
      PropValueError();
  }
}

Char TReader::ReadChar()
{
  const String value = ReadString();
  if (value.size() != 1)
    PropValueError();
  return value[0];
}

Extended TReader::ReadFloat()
{
  if (NextValue() != vaExtended)
    return ReadInteger();
  ReadValue();
  Extended value = 0;
  Read(&value, 10);
  return value;
}

float TReader::ReadSingle()
{
  if (NextValue() != vaSingle)
    return static_cast<float>(ReadInteger());
  ReadValue();
  float value;
  Read(&value, 4);
  return value;
}

Currency TReader::ReadCurrency()
{
  if (NextValue() != vaCurrency)
    return Currency::FromRaw(static_cast<std::int64_t>(ReadInteger()) * 10000);
  ReadValue();
  std::int64_t raw;
  Read(&raw, 8);
  return Currency::FromRaw(raw);
}

TDateTime TReader::ReadDate()
{
  if (NextValue() != vaDate)
    return ReadInteger();
  ReadValue();
  TDateTime value;
  Read(&value, 8);
  return value;
}

String TReader::ReadString()
{
  std::int32_t length = 0;
  switch (ReadValue()) {
    case vaString:
      return FromCodePage(CP_UTF8, ReadBytes(this, ReadByte()));
    case vaLString:
      Read(&length, 4);
      return FromCodePage(CP_ACP, ReadBytes(this, length));
    case vaUTF8String:
      Read(&length, 4);
      return FromCodePage(CP_UTF8, ReadBytes(this, length));
    case vaWString: {
      Read(&length, 4);
      if (length < 0 || length > INT_MAX / 2)
        PropValueError();
      const std::string bytes = ReadBytes(this, std::int64_t(length) * 2);
      String result(length, L'\0');
      std::memcpy(result.data(), bytes.data(), bytes.size());
      return result;
    }
    default:
      --FBufPos;
      PropValueError();
  }
}

String TReader::ReadIdent()
{
  switch (ReadValue()) {
    case vaIdent:
      return ReadStr();
    case vaFalse:
      return L"False";
    case vaTrue:
      return L"True";
    case vaNil:
      return L"nil";
    case vaNull:
      return L"Null";
    default:
      --FBufPos;
      PropValueError();
  }
}

std::uint32_t TReader::ReadSet(const TEnumInfo* AInfo)
{
  CheckValue(vaSet);
  std::uint32_t result = 0;
  for (String name = ReadStr(); !name.empty(); name = ReadStr()) {
    const int value = GetEnumValue(AInfo, name);
    if (value < 0 || value >= 32)
      PropValueError();
    result |= std::uint32_t(1) << value;
  }
  return result;
}

TBytes TReader::ReadBinary()
{
  CheckValue(vaBinary);
  std::int32_t length;
  Read(&length, 4);
  const std::string bytes = ReadBytes(this, length);
  return TBytes(bytes.begin(), bytes.end());
}

Variant TReader::ReadVariant()
{
  switch (NextValue()) {
    case vaNil:
      ReadValue();
      return Variant();
    case vaNull:
      ReadValue();
      return Variant::Null();
    case vaInt8:
    case vaInt16:
    case vaInt32:
      return Variant(static_cast<std::int32_t>(ReadInteger()));
    case vaInt64:
      return Variant(ReadInt64());
    case vaExtended:
      return Variant(static_cast<double>(ReadFloat()));
    case vaSingle:
      return Variant::FromSingle(ReadSingle());
    case vaCurrency:
      return Variant(ReadCurrency());
    case vaDate:
      return Variant::FromDate(ReadDate());
    case vaFalse:
    case vaTrue:
      return Variant(ReadBoolean());
    case vaString:
    case vaLString:
    case vaUTF8String:
    case vaWString:
      return Variant(ReadString());
    default:
      PropValueError();
  }
}

void TReader::SkipValue()
{
  const TFilerNesting nesting(FNesting);
  if (nesting.TooDeep())
    throw EReadError(NestingError);
  std::int32_t length = 0;
  switch (ReadValue()) {
    case vaNull:
    case vaFalse:
    case vaTrue:
    case vaNil:
      break;
    case vaList:
      while (!EndOfList())
        SkipValue();
      ReadListEnd();
      break;
    case vaInt8:
      ReadBytes(this, 1);
      break;
    case vaInt16:
      ReadBytes(this, 2);
      break;
    case vaInt32:
    case vaSingle:
      ReadBytes(this, 4);
      break;
    case vaInt64:
    case vaCurrency:
    case vaDate:
      ReadBytes(this, 8);
      break;
    case vaExtended:
      ReadBytes(this, 10);
      break;
    case vaString:
    case vaIdent:
      ReadStr();
      break;
    case vaBinary:
    case vaLString:
    case vaUTF8String:
      Read(&length, 4);
      ReadBytes(this, length);
      break;
    case vaWString:
      Read(&length, 4);
      ReadBytes(this, std::int64_t(length) * 2);
      break;
    case vaSet:
      while (!ReadStr().empty()) {
      }
      break;
    case vaCollection:
      while (!EndOfList()) {
        const TValueType next = NextValue();
        if (next == vaInt8 || next == vaInt16 || next == vaInt32)
          SkipValue();
        ReadListBegin();
        while (!EndOfList()) {
          ReadStr();
          SkipValue();
        }
        ReadListEnd();
      }
      ReadListEnd();
      break;
    default:
      --FBufPos;
      PropValueError();
  }
}

std::int64_t TReader::GetPosition()
{
  return FStream->GetPosition() - (FBufEnd - FBufPos);
}

void TReader::SetPosition(std::int64_t AValue)
{
  FBufPos = 0;
  FBufEnd = 0;
  FStream->SetPosition(AValue);
}

void TReader::DefineProperty(const String& AName, TReaderProc AReadData, TWriterProc, bool)
{
  if (!FPropName.empty() && AReadData && SameText(AName, FPropName)) {
    // Cleared first: the handler may read nested properties of its own.
    FPropName.clear();
    AReadData(this);
  }
}

void TReader::DefineBinaryProperty(const String& AName, TStreamProc AReadData, TStreamProc, bool)
{
  if (FPropName.empty() || !AReadData || !SameText(AName, FPropName))
    return;
  FPropName.clear();
  const TBytes bytes = ReadBinary();
  TOwnedPtr<TMemoryStream> stream(New<TMemoryStream>());
  stream->WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
  stream->SetPosition(0);
  AReadData(stream.get());
}

// ---------------------------------------------------------------------------
// TReader: properties

void TReader::ReadProperty(TPersistent* AInstance)
{
  const String path = ReadStr();
  TPersistent* instance = AInstance;
  std::size_t start = 0;
  for (std::size_t dot = path.find(L'.'); dot != String::npos; dot = path.find(L'.', start)) {
    const String part = path.substr(start, dot - start);
    const TPropInfo* prop = GetPropInfo(instance, part);
    TObject* object = prop && prop->PropType->Kind == tkClass ? GetObjectProp(instance, prop) : nullptr;
    if (!Is<TPersistent>(object))
      throw EReadError(Format(L"Property %s does not exist", {part}));
    instance = static_cast<TPersistent*>(object);
    start = dot + 1;
  }
  FPropName = path.substr(start);
  if (const TPropInfo* prop = GetPropInfo(instance, FPropName)) {
    FPropName.clear();
    // Whatever goes wrong with a stored value is a read error to the
    // caller, who loads a form and catches one kind.
    try {
      ReadPropValue(instance, prop);
    } catch (const EPropertyError& E) {
      throw EReadError(E.Message());
    } catch (const EPropertyConvertError& E) {
      throw EReadError(E.Message());
    }
    return;
  }
  instance->DefineProperties(this);
  if (!FPropName.empty()) {
    const String name = std::exchange(FPropName, String());
    throw EReadError(Format(L"Property %s does not exist", {name}));
  }
}

void TReader::ReadPropValue(TPersistent* AInstance, const TPropInfo* AProp)
{
  const TTypeInfo* type = AProp->PropType;
  switch (type->Kind) {
    case tkInteger:
      if (type->IdentToInt && NextValue() == vaIdent) {
        int value = 0;
        if (!type->IdentToInt(ReadIdent(), value))
          PropValueError();
        SetOrdProp(AInstance, AProp, value);
        break;
      }
      SetOrdProp(AInstance, AProp, ReadInt64());
      break;
    case tkChar:
    case tkWChar:
      SetOrdProp(AInstance, AProp, ReadChar());
      break;
    case tkEnumeration: {
      if (type == TypeInfoOf<bool>()) {
        SetOrdProp(AInstance, AProp, ReadBoolean());
        break;
      }
      const int value = GetEnumValue(type, ReadIdent());
      if (value < 0)
        PropValueError();
      SetOrdProp(AInstance, AProp, value);
      break;
    }
    case tkSet:
      SetOrdProp(AInstance, AProp, ReadSet(type->CompType->EnumInfo));
      break;
    case tkInt64:
      SetInt64Prop(AInstance, AProp, ReadInt64());
      break;
    case tkFloat: {
      // Any stored number fits a float property; each form is read with its
      // own precision.
      Extended value;
      switch (NextValue()) {
        case vaSingle:
          value = ReadSingle();
          break;
        case vaCurrency:
          value = static_cast<Extended>(ReadCurrency().Raw()) / 10000;
          break;
        case vaDate:
          value = ReadDate();
          break;
        case vaInt64:
          value = static_cast<Extended>(ReadInt64());
          break;
        default:
          value = ReadFloat();
      }
      SetFloatProp(AInstance, AProp, value);
      break;
    }
    case tkString:
    case tkLString:
    case tkWString:
    case tkUString:
      SetStrProp(AInstance, AProp, ReadString());
      break;
    case tkMethod:
      if (NextValue() == vaNil) {
        ReadValue();
        SetMethodProp(AInstance, AProp, TMethodRaw());
      } else {
        const String name = ReadIdent();
        if (!FRoot)
          throw EReadError(Format(L"Method %s not found", {name}));
        BindMethodProp(AInstance, AProp, FRoot, name);
      }
      break;
    case tkVariant:
      SetVariantProp(AInstance, AProp, ReadVariant());
      break;
    case tkClass:
      ReadObjectValue(AInstance, AProp);
      break;
    default:
      PropValueError();
  }
}

// ---------------------------------------------------------------------------
// Object properties: nested objects, collections and component references

namespace {

// Restores a filer field when the scope ends, also when an exception passes.
template <class T>
class TRestore {
 public:
  explicit TRestore(T& AField) : FField(AField), FSaved(AField) {}
  ~TRestore() { FField = FSaved; }
  TRestore(const TRestore&) = delete;
  TRestore& operator=(const TRestore&) = delete;

 private:
  T& FField;
  T FSaved;
};

bool HoldsComponents(const TPropInfo* AProp)
{
  const TClass propClass = GetObjectPropClass(AProp);
  return propClass && propClass->InheritsFrom(TComponent::StaticClass());
}

bool IsSubComponent(TObject* AObject)
{
  return Is<TComponent>(AObject) && static_cast<TComponent*>(AObject)->GetComponentStyle().Contains(csSubComponent);
}

// The bytes a collection is written as, to tell whether it differs from its
// ancestor's.
TBytes CollectionBytes(TCollection* ACollection, TComponent* ARoot)
{
  TOwnedPtr<TBytesStream> stream(New<TBytesStream>());
  {
    TOwnedPtr<TWriter> writer(New<TWriter>(stream.get(), 4096));
    writer->SetRoot(ARoot);
    writer->WriteCollection(ACollection);
    writer->FlushBuffer();
  }
  TBytes result = stream->GetBytes();
  result.resize(static_cast<std::size_t>(stream->GetSize()));
  return result;
}

}  // namespace

void TWriter::WriteObjectProperty(TPersistent* AInstance, const TPropInfo* AProp)
{
  TObject* value = GetObjectProp(AInstance, AProp);
  const TPropInfo* ancestorProp = FAncestor ? GetPropInfo(FAncestor, AProp->Name) : nullptr;
  if (ancestorProp && ancestorProp->PropType->Kind != tkClass)
    ancestorProp = nullptr;
  TObject* ancestorValue = ancestorProp ? GetObjectProp(FAncestor, ancestorProp) : nullptr;

  if (value ? Is<TComponent>(value) && !IsSubComponent(value) : HoldsComponents(AProp)) {
    if (!AProp->Set)
      return;
    if (!value) {
      if (ancestorValue) {
        WritePropName(String(AProp->Name));
        WriteValue(vaNil);
      }
      return;
    }
    const String name = ComponentReference(static_cast<TComponent*>(value));
    // A component without a name cannot be found again by one.
    if (name.empty())
      return;
    if (Is<TComponent>(ancestorValue) && SameText(static_cast<TComponent*>(ancestorValue)->GetName(),
                                                  static_cast<TComponent*>(value)->GetName()))
      return;
    WritePropName(String(AProp->Name));
    WriteIdent(name);
    return;
  }

  if (Is<TCollection>(value)) {
    auto* collection = static_cast<TCollection*>(value);
    if (Is<TCollection>(ancestorValue)
            ? CollectionBytes(collection, FLookupRoot) ==
                  CollectionBytes(static_cast<TCollection*>(ancestorValue), FLookupRoot)
            : collection->GetCount() == 0)
      return;
    WritePropName(String(AProp->Name));
    TRestore<TPersistent*> ancestor(FAncestor);
    FAncestor = Is<TCollection>(ancestorValue) ? static_cast<TPersistent*>(ancestorValue) : nullptr;
    WriteCollection(collection);
    return;
  }

  if (Is<TPersistent>(value)) {
    TRestore<String> path(FPropPath);
    TRestore<TPersistent*> ancestor(FAncestor);
    FPropPath += String(AProp->Name) + L".";
    FAncestor = Is<TPersistent>(ancestorValue) ? static_cast<TPersistent*>(ancestorValue) : nullptr;
    WriteProperties(static_cast<TPersistent*>(value));
  }
}

String TWriter::ComponentReference(TComponent* AComponent) const
{
  if (FLookupRoot && AComponent->GetOwner() == FLookupRoot)
    return AComponent->GetName();
  if (AComponent == FLookupRoot)
    return L"Owner";
  TComponent* owner = AComponent->GetOwner();
  if (owner && !owner->GetName().empty() && !AComponent->GetName().empty())
    return owner->GetName() + L"." + AComponent->GetName();
  if (!AComponent->GetName().empty())
    return AComponent->GetName() + L".Owner";
  return String();
}

void TWriter::WriteCollection(TCollection* AValue)
{
  WriteValue(vaCollection);
  // Items are written with their own names, not the path of the object
  // holding the collection.
  TRestore<String> path(FPropPath);
  TRestore<TPersistent*> ancestor(FAncestor);
  TPersistent* ancestorCollection = FAncestor;
  FPropPath.clear();
  for (int i = 0; AValue && i < AValue->GetCount(); ++i) {
    FAncestor = Is<TCollection>(ancestorCollection) && i < static_cast<TCollection*>(ancestorCollection)->GetCount()
                    ? static_cast<TCollection*>(ancestorCollection)->GetItems(i)
                    : nullptr;
    WriteListBegin();
    WriteProperties(AValue->GetItems(i));
    WriteListEnd();
  }
  WriteListEnd();
}

void TReader::ReadObjectValue(TPersistent* AInstance, const TPropInfo* AProp)
{
  switch (NextValue()) {
    case vaNil:
      ReadValue();
      SetObjectProp(AInstance, AProp, nullptr);
      break;
    case vaCollection: {
      ReadValue();
      TObject* collection = GetObjectProp(AInstance, AProp);
      if (!Is<TCollection>(collection))
        PropValueError();
      ReadCollection(static_cast<TCollection*>(collection));
      break;
    }
    case vaIdent: {
      // The component may come later in the stream: the reference is set
      // once the whole tree is read.
      String name = ReadIdent();
      FFixups.push_back({AInstance, AProp, std::move(name), FCollections});
      break;
    }
    default:
      PropValueError();
  }
}

void TReader::ReadCollection(TCollection* AValue)
{
  // Items may hold collections of their own kind (a tree's nodes).
  const TFilerNesting nesting(FNesting);
  if (nesting.TooDeep())
    throw EReadError(NestingError);
  AValue->BeginUpdate();
  struct TEndUpdate {
    TCollection* Collection;
    ~TEndUpdate() { Collection->EndUpdate(); }
  } endUpdate{AValue};
  if (!EndOfList()) {
    // A collection stored twice: the items of the first value are freed, and
    // so must be the references they were waiting for.
    std::erase_if(FFixups, [AValue](const TFixup& AFixup) {
      return std::find(AFixup.Collections.begin(), AFixup.Collections.end(), AValue) != AFixup.Collections.end();
    });
    AValue->Clear();
  }
  TRestore<std::vector<TCollection*>> collections(FCollections);
  FCollections.push_back(AValue);
  while (!EndOfList()) {
    const TValueType next = NextValue();
    if (next == vaInt8 || next == vaInt16 || next == vaInt32)
      ReadInteger();
    TCollectionItem* item = AValue->Add();
    ReadListBegin();
    while (!EndOfList())
      ReadProperty(item);
    ReadListEnd();
  }
  ReadListEnd();
}

TComponent* TReader::FindReference(const String& AName) const
{
  if (!FRoot)
    return nullptr;
  if (SameText(AName, L"Owner"))
    return FRoot;
  const std::size_t dot = AName.find(L'.');
  if (dot == String::npos) {
    if (TComponent* component = FRoot->FindComponent(AName))
      return component;
    return SameText(AName, FRoot->GetName()) ? FRoot : nullptr;
  }
  // "Form1.Button1" and "Form1.Owner": only the root being read is known
  // here; references into other forms stay unset.
  if (!SameText(AName.substr(0, dot), FRoot->GetName()))
    return nullptr;
  const String rest = AName.substr(dot + 1);
  return SameText(rest, L"Owner") ? FRoot : FRoot->FindComponent(rest);
}

void TReader::FixupReferences()
{
  std::vector<TFixup> fixups = std::move(FFixups);
  FFixups.clear();
  for (const TFixup& fixup : fixups) {
    TComponent* component = FindReference(fixup.Name);
    if (!component)
      continue;
    try {
      SetObjectProp(fixup.Instance, fixup.Prop, component);
    } catch (const EInvalidCast&) {
      throw EReadError(L"Invalid property value");
    }
  }
}

// ---------------------------------------------------------------------------
// Components

namespace {

// Sets a component state flag for a scope: the reader and writer mark the
// component they are busy with.
class TStateFlag {
 public:
  TStateFlag(TComponentState& AState, TComponentStateFlag AFlag) : FState(AState), FFlag(AFlag)
  {
    FState.Include(FFlag);
  }
  ~TStateFlag() { FState.Exclude(FFlag); }
  TStateFlag(const TStateFlag&) = delete;
  TStateFlag& operator=(const TStateFlag&) = delete;

 private:
  TComponentState& FState;
  TComponentStateFlag FFlag;
};

}  // namespace

void TWriter::WritePrefix(int AFlags, int AChildPos)
{
  if (AFlags == 0)
    return;
  const std::uint8_t prefix = static_cast<std::uint8_t>(0xF0 | AFlags);
  Write(&prefix, 1);
  if (AFlags & ffChildPos)
    WriteInteger(AChildPos);
}

void TWriter::WriteRootComponent(TComponent* ARoot)
{
  WriteDescendent(ARoot, nullptr);
}

void TWriter::WriteDescendent(TComponent* ARoot, TComponent* AAncestor)
{
  FRootAncestor = AAncestor;
  FAncestor = AAncestor;
  SetRoot(ARoot);
  WriteSignature();
  WriteComponent(ARoot);
  FlushBuffer();
}

void TWriter::WriteComponent(TComponent* AComponent)
{
  TStateFlag writing(AComponent->FComponentState, csWriting);
  AComponent->WriteState(this);
}

void TWriter::WriteChild(TComponent* AChild)
{
  TRestore<TPersistent*> ancestor(FAncestor);
  FAncestor = nullptr;
  for (TComponent* candidate : FAncestors)
    if (SameText(candidate->GetName(), AChild->GetName())) {
      FAncestor = candidate;
      break;
    }
  WriteComponent(AChild);
}

void TWriter::WriteData(TComponent* AInstance)
{
  WritePrefix(Is<TComponent>(FAncestor) ? ffInherited : 0, 0);
  WriteStr(AInstance->ClassName());
  WriteStr(AInstance->GetName());
  WriteProperties(AInstance);
  WriteListEnd();
  if (!FIgnoreChildren) {
    TRestore<std::vector<TComponent*>> ancestors(FAncestors);
    TRestore<TComponent*> root(FRoot);
    TRestore<TComponent*> lookupRoot(FLookupRoot);
    FAncestors.clear();
    if (Is<TComponent>(FAncestor))
      static_cast<TComponent*>(FAncestor)->GetChildren(
          [this](TComponent* AChild) { FAncestors.push_back(AChild); }, FRootAncestor);
    if (AInstance->GetComponentState().Contains(csInline)) {
      FRoot = AInstance;
      FLookupRoot = AInstance;
    }
    AInstance->GetChildren([this](TComponent* AChild) { WriteChild(AChild); }, FRoot);
  }
  WriteListEnd();
}

void TReader::ReadPrefix(int& AFlags, int& AChildPos)
{
  AFlags = 0;
  AChildPos = 0;
  if ((static_cast<std::uint8_t>(NextValue()) & 0xF0) != 0xF0)
    return;
  AFlags = ReadByte() & 0x0F;
  if (AFlags & ffChildPos)
    AChildPos = ReadInteger();
}

namespace {

// Makes a blank component of AClass, marks it loading and runs its virtual
// constructor, as the framework's reader does, so Create already sees
// csLoading.
TComponent* CreateLoadingComponent(const String& AClassName, TComponent* AOwner,
                                   TComponentState& (*AState)(TComponent*))
{
  const TComponentClass componentClass(FindClass(AClassName).ClassType());
  if (!componentClass.ClassType()->Factory)
    AbstractError();
  auto* component = static_cast<TComponent*>(componentClass.ClassType()->Factory());
  AState(component).Include(csLoading);
  return detail::Construct(component, [AOwner](TComponent* AComponent) { AComponent->Create(AOwner); });
}

}  // namespace

TComponent* TReader::ReadComponent(TComponent* AComponent)
{
  const TFilerNesting nesting(FNesting);
  if (nesting.TooDeep())
    throw EReadError(NestingError);
  int flags, childPos;
  ReadPrefix(flags, childPos);
  const String className = ReadStr();
  const String name = ReadStr();
  TComponent* result = AComponent;
  bool created = false;
  if (!result) {
    if (flags & ffInherited) {
      result = FOwner ? FOwner->FindComponent(name) : nullptr;
      if (!result)
        throw EReadError(Format(L"Ancestor for '%s' not found", {name}));
    } else {
      result = CreateLoadingComponent(className, FOwner,
                                      [](TComponent* C) -> TComponentState& { return C->FComponentState; });
      created = true;
    }
  }
  try {
    result->FComponentState.Include(csLoading);
    if (!(flags & ffInherited))
      result->SetName(name);
    if (FParent)
      result->SetParentComponent(FParent);
    {
      TStateFlag reading(result->FComponentState, csReading);
      result->ReadState(this);
    }
    if (std::find(FLoaded.begin(), FLoaded.end(), result) == FLoaded.end())
      FLoaded.push_back(result);
  } catch (...) {
    if (created) {
      std::erase(FLoaded, result);
      Free(result);
    }
    throw;
  }
  return result;
}

void TReader::ReadData(TComponent* AInstance)
{
  while (!EndOfList())
    ReadProperty(AInstance);
  ReadListEnd();
  TRestore<TComponent*> parent(FParent);
  TRestore<TComponent*> owner(FOwner);
  FParent = AInstance->GetChildParent();
  FOwner = AInstance->GetChildOwner();
  if (!FOwner)
    FOwner = FRoot;
  while (!EndOfList())
    ReadComponent(nullptr);
  ReadListEnd();
}

TComponent* TReader::ReadRootComponent(TComponent* ARoot)
{
  ReadSignature();
  int flags, childPos;
  ReadPrefix(flags, childPos);
  const String className = ReadStr();
  const String name = ReadStr();
  TComponent* root = ARoot;
  const bool created = !root;
  if (created)
    root = CreateLoadingComponent(className, nullptr,
                                  [](TComponent* C) -> TComponentState& { return C->FComponentState; });
  try {
    root->FComponentState.Include(csLoading);
    root->SetName(name);
    FRoot = root;
    FLookupRoot = root;
    FOwner = root;
    FParent = nullptr;
    FLoaded.assign(1, root);
    {
      TStateFlag reading(root->FComponentState, csReading);
      root->ReadState(this);
    }
    FixupReferences();
    std::vector<TComponent*> loaded = std::exchange(FLoaded, {});
    if (FGlobalLoaded) {
      for (TComponent* component : loaded)
        if (std::find(FGlobalLoaded->begin(), FGlobalLoaded->end(), component) == FGlobalLoaded->end())
          FGlobalLoaded->push_back(component);
    } else {
      NotifyLoaded(loaded);
    }
  } catch (...) {
    FFixups.clear();
    if (created)
      Free(root);
    throw;
  }
  return root;
}

namespace {

// Hears of the components a Loaded handler frees, so that the loop telling
// the others does not call them afterwards.
class TClassesFilerLoadedWatch : public TComponent {
  RTL_CLASS(TClassesFilerLoadedWatch, TComponent)

 public:
  std::vector<TComponent*> FComponents;

  void Notification(TComponent* AComponent, TOperation AOperation) override
  {
    inherited::Notification(AComponent, AOperation);
    if (AOperation == opRemove)
      std::replace(FComponents.begin(), FComponents.end(), AComponent, static_cast<TComponent*>(nullptr));
  }
};

}  // namespace

void TReader::NotifyLoaded(const std::vector<TComponent*>& AComponents)
{
  // A Loaded handler may free components read with it (an OnCreate handler
  // freeing a control): those drop out instead of being called.
  TOwnedPtr<TClassesFilerLoadedWatch> watch(New<TClassesFilerLoadedWatch>(nullptr));
  watch->FComponents = AComponents;
  for (TComponent* component : AComponents)
    component->FreeNotification(watch.get());
  for (std::size_t i = 0; i < watch->FComponents.size(); ++i)
    if (TComponent* component = watch->FComponents[i])
      component->Loaded();
}

// ---------------------------------------------------------------------------
// Routines

TComponent* ReadComponent(TStream* AStream, TComponent* AInstance)
{
  TOwnedPtr<TReader> reader(New<TReader>(AStream, 4096));
  return reader->ReadRootComponent(AInstance);
}

void WriteComponent(TStream* AStream, TComponent* AInstance)
{
  WriteDescendent(AStream, AInstance, nullptr);
}

void WriteDescendent(TStream* AStream, TComponent* AInstance, TComponent* AAncestor)
{
  TOwnedPtr<TWriter> writer(New<TWriter>(AStream, 4096));
  writer->WriteDescendent(AInstance, AAncestor);
}

TComponent* ReadComponentRes(const String& AResName, TComponent* AInstance, HINSTANCE AModule)
{
  TOwnedPtr<TResourceStream> stream(
      New<TResourceStream>(AModule ? AModule : GetModuleHandleW(nullptr), AResName, RT_RCDATA));
  return ReadComponent(stream.get(), AInstance);
}

bool InitInheritedComponent(TComponent* AInstance, TClass ARootAncestor, HINSTANCE AModule)
{
  const HINSTANCE module = AModule ? AModule : GetModuleHandleW(nullptr);
  std::vector<TClass> classes;
  for (TClass c = AInstance->ClassType(); c && c != ARootAncestor; c = c->ClassParent())
    classes.insert(classes.begin(), c);
  std::vector<TComponent*> loaded;
  bool found = false;
  for (TClass c : classes) {
    if (!FindResourceW(module, c->Name, RT_RCDATA))
      continue;
    TOwnedPtr<TResourceStream> stream(New<TResourceStream>(module, String(c->Name), RT_RCDATA));
    TOwnedPtr<TReader> reader(New<TReader>(stream.get(), 4096));
    reader->FGlobalLoaded = &loaded;
    reader->ReadRootComponent(AInstance);
    found = true;
  }
  TReader::NotifyLoaded(loaded);
  return found;
}

// ---------------------------------------------------------------------------
// The text form

namespace {

const TFormatSettings& NeutralSettings()
{
  static const TFormatSettings settings = TFormatSettings::Invariant();
  return settings;
}

bool IsTextIdentStart(Char C)
{
  return (C >= L'A' && C <= L'Z') || (C >= L'a' && C <= L'z') || C == L'_';
}

// What the text form's tokenizer reads as one identifier: letters, digits
// and underscores, not starting with a digit, in parts joined by dots.
bool IsTextIdentifier(const String& AText)
{
  bool partStart = true;
  for (Char c : AText) {
    if (partStart ? !IsTextIdentStart(c) : !(IsTextIdentStart(c) || (c >= L'0' && c <= L'9') || c == L'.'))
      return false;
    partStart = c == L'.';
  }
  return !AText.empty() && !partStart;
}

// An extended value with the fewest digits that read back to the same
// bits: eighteen do not always, twenty-one always do. Empty for bits no
// number reads back to (an unnormal, a pseudo-denormal).
String ExactExtendedText(Extended AValue)
{
  constexpr std::size_t kExtendedBytes = 10;
  for (int digits = 18; digits <= 21; ++digits) {
    char buffer[64];
    __mingw_snprintf(buffer, sizeof(buffer), "%.*LG", digits, AValue);
    String text(buffer, buffer + std::strlen(buffer));
    Extended back = 0;
    if (TryStrToFloat(text, back, NeutralSettings()) && std::memcmp(&back, &AValue, kExtendedBytes) == 0) {
      // A float keeps a point or an exponent so that it reads back as one.
      if (text.find_first_of(L".E") == String::npos)
        text += L".0";
      return text;
    }
  }
  return String();
}

// A single or a date: their digits always read back exactly; a negative
// zero keeps its sign, which the general format drops.
String ShortFloatText(Extended AValue, int ADigits)
{
  if (AValue == 0 && std::signbit(AValue))
    return L"-0";
  return FloatToStrF(AValue, ffGeneral, ADigits, 0, NeutralSettings());
}

// Binary to text: the reader walks the stream, the text grows in UTF-16 and
// is written out as UTF-8 at the end. A name, identifier or number the text
// form cannot carry, so that the text would read back to other values or
// not at all, raises instead.
class TBinaryToText {
 public:
  explicit TBinaryToText(TReader* AReader) : FReader(AReader) {}

  String Convert()
  {
    FReader->ReadSignature();
    ConvertObject(String());
    return FText;
  }

 private:
  void ConvertObject(const String& AIndent)
  {
    const TFilerNesting nesting(FNesting);
    if (nesting.TooDeep())
      throw EReadError(NestingError);
    int flags = 0, childPos = 0;
    if ((static_cast<std::uint8_t>(FReader->NextValue()) & 0xF0) == 0xF0) {
      flags = static_cast<std::uint8_t>(FReader->ReadValue()) & 0x0F;
      if (flags & ffChildPos)
        childPos = FReader->ReadInteger();
    }
    const String className = Identifier(FReader->ReadStr());
    const String name = FReader->ReadStr();
    if (!name.empty())
      Identifier(name);
    FText += AIndent;
    FText += flags & ffInherited ? L"inherited " : flags & ffInline ? L"inline " : L"object ";
    if (!name.empty())
      FText += name + L": ";
    FText += className;
    if (flags & ffChildPos)
      FText += L" [" + IntToStr(childPos) + L"]";
    FText += L"\r\n";
    while (!FReader->EndOfList())
      ConvertProperty(AIndent + L"  ");
    FReader->ReadListEnd();
    while (!FReader->EndOfList())
      ConvertObject(AIndent + L"  ");
    FReader->ReadListEnd();
    FText += AIndent + L"end\r\n";
  }

  [[noreturn]] static void Unrepresentable(const String& AWhat)
  {
    throw EReadError(Format(L"%s has no text form", {AWhat}));
  }

  static const String& Identifier(const String& AText)
  {
    if (!IsTextIdentifier(AText))
      Unrepresentable(L"Identifier '" + AText + L"'");
    return AText;
  }

  // A property named like a keyword would end the object's properties.
  static const String& PropertyName(const String& AText)
  {
    for (const wchar_t* keyword : {L"object", L"inherited", L"inline", L"end"})
      if (SameText(AText, keyword))
        Unrepresentable(L"Property name '" + AText + L"'");
    return Identifier(AText);
  }

  // The text has no form for NaN and the infinities.
  template <class T>
  static T Finite(T AValue)
  {
    if (!std::isfinite(AValue))
      Unrepresentable(L"A float that is no number");
    return AValue;
  }

  void ConvertProperty(const String& AIndent)
  {
    FText += AIndent + PropertyName(FReader->ReadStr()) + L" = ";
    ConvertValue(AIndent);
    FText += L"\r\n";
  }

  void ConvertValue(const String& AIndent)
  {
    const TFilerNesting nesting(FNesting);
    if (nesting.TooDeep())
      throw EReadError(NestingError);
    const String inner = AIndent + L"  ";
    switch (FReader->NextValue()) {
      case vaList:
        FReader->ReadValue();
        FText += L"(";
        while (!FReader->EndOfList()) {
          FText += L"\r\n" + inner;
          ConvertValue(inner);
        }
        FReader->ReadListEnd();
        FText += L")";
        break;
      case vaInt8:
      case vaInt16:
      case vaInt32:
      case vaInt64:
        FText += IntToStr(FReader->ReadInt64());
        break;
      case vaExtended: {
        const String text = ExactExtendedText(Finite(FReader->ReadFloat()));
        if (text.empty())
          Unrepresentable(L"A float in no standard form");
        FText += text;
        break;
      }
      case vaSingle:
        FText += ShortFloatText(Finite(FReader->ReadSingle()), 9) + L"s";
        break;
      case vaCurrency:
        FText += CurrToStr(FReader->ReadCurrency(), NeutralSettings()) + L"c";
        break;
      case vaDate:
        FText += ShortFloatText(Finite(FReader->ReadDate()), 17) + L"d";
        break;
      case vaString:
      case vaLString:
      case vaUTF8String:
      case vaWString:
        ConvertString(FReader->ReadString(), inner);
        break;
      case vaIdent: {
        // One spelled like a constant would read back as the constant.
        const String ident = Identifier(FReader->ReadIdent());
        for (const wchar_t* constant : {L"False", L"True", L"nil", L"Null"})
          if (SameText(ident, constant))
            Unrepresentable(L"Identifier '" + ident + L"'");
        FText += ident;
        break;
      }
      case vaFalse:
      case vaTrue:
      case vaNil:
      case vaNull:
        FText += FReader->ReadIdent();
        break;
      case vaBinary:
        ConvertBinary(FReader->ReadBinary(), inner);
        break;
      case vaSet: {
        FReader->ReadValue();
        FText += L"[";
        bool first = true;
        for (String name = FReader->ReadStr(); !name.empty(); name = FReader->ReadStr()) {
          FText += (first ? L"" : L", ") + Identifier(name);
          first = false;
        }
        FText += L"]";
        break;
      }
      case vaCollection:
        FReader->ReadValue();
        FText += L"<";
        while (!FReader->EndOfList()) {
          FText += L"\r\n" + inner + L"item";
          const TValueType next = FReader->NextValue();
          if (next == vaInt8 || next == vaInt16 || next == vaInt32)
            FText += L" [" + IntToStr(FReader->ReadInteger()) + L"]";
          FText += L"\r\n";
          FReader->ReadListBegin();
          while (!FReader->EndOfList())
            ConvertProperty(inner + L"  ");
          FReader->ReadListEnd();
          FText += inner + L"end";
        }
        FReader->ReadListEnd();
        FText += L">";
        break;
      default:
        FReader->ReadValue();
        throw EReadError(L"Invalid property value");
    }
  }

  // Printable ASCII in quotes, everything else as #code; a long text is
  // split into lines of 64 characters joined by "+".
  void ConvertString(const String& AValue, const String& AIndent)
  {
    if (AValue.empty()) {
      FText += L"''";
      return;
    }
    constexpr std::size_t LineLength = 64;
    for (std::size_t start = 0; start < AValue.size(); start += LineLength) {
      if (start > 0)
        FText += L" +\r\n" + AIndent;
      bool quoted = false;
      for (Char c : AValue.substr(start, LineLength)) {
        const bool printable = c >= L' ' && c < 0x7F;
        if (printable != quoted) {
          FText += L'\'';
          quoted = printable;
        }
        if (!printable)
          FText += L"#" + IntToStr(c);
        else if (c == L'\'')
          FText += L"''";
        else
          FText += c;
      }
      if (quoted)
        FText += L'\'';
    }
  }

  void ConvertBinary(const TBytes& ABytes, const String& AIndent)
  {
    constexpr std::size_t BytesPerLine = 32;
    FText += L"{";
    for (std::size_t i = 0; i < ABytes.size(); ++i) {
      if (i % BytesPerLine == 0)
        FText += L"\r\n" + AIndent;
      FText += IntToHex(ABytes[i], 2);
    }
    FText += L"}";
  }

  TReader* FReader;
  String FText;
  int FNesting = 0;
};

// Text to binary: a small tokenizer over the text and a writer.
class TTextToBinary {
 public:
  TTextToBinary(const String& AText, TWriter* AWriter) : FText(AText), FWriter(AWriter)
  {
    if (!FText.empty() && FText[0] == 0xFEFF)
      FPos = 1;
    NextToken();
  }

  void Convert()
  {
    FWriter->WriteSignature();
    ConvertObject();
  }

 private:
  enum TToken { tkEOF, tkSymbol, tkIdentifier, tkText, tkNumber };

  [[noreturn]] void Error(const String& AMessage) const
  {
    throw EParserError(Format(L"%s on line %d", {AMessage, FLine}));
  }

  bool IsIdentStart(Char C) const { return (C >= L'A' && C <= L'Z') || (C >= L'a' && C <= L'z') || C == L'_'; }
  bool IsDigit(Char C) const { return C >= L'0' && C <= L'9'; }
  Char Peek(std::size_t AOffset = 0) const { return FPos + AOffset < FText.size() ? FText[FPos + AOffset] : L'\0'; }

  void SkipBlanks()
  {
    while (FPos < FText.size()) {
      const Char c = FText[FPos];
      if (c == L'\n')
        ++FLine;
      if (c > L' ')
        break;
      ++FPos;
    }
  }

  void NextToken()
  {
    SkipBlanks();
    FTokenText.clear();
    FSuffix = 0;
    FIsFloat = false;
    if (FPos >= FText.size()) {
      FToken = tkEOF;
      return;
    }
    const Char c = FText[FPos];
    if (IsIdentStart(c)) {
      FToken = tkIdentifier;
      while (IsIdentStart(Peek()) || IsDigit(Peek()) || (Peek() == L'.' && IsIdentStart(Peek(1))))
        FTokenText += FText[FPos++];
    } else if (c == L'\'' || c == L'#') {
      FToken = tkText;
      ReadText();
    } else if (IsDigit(c) || (c == L'-' && IsDigit(Peek(1))) || c == L'$' ||
               (c == L'-' && Peek(1) == L'$')) {
      FToken = tkNumber;
      ReadNumber();
    } else {
      FToken = tkSymbol;
      FTokenText = String(1, c);
      ++FPos;
    }
  }

  void ReadText()
  {
    for (;;) {
      if (Peek() == L'\'') {
        ++FPos;
        for (;;) {
          if (FPos >= FText.size() || Peek() == L'\n' || Peek() == L'\r')
            Error(L"Unterminated string");
          if (Peek() == L'\'') {
            if (Peek(1) != L'\'')
              break;
            ++FPos;
          }
          FTokenText += FText[FPos++];
        }
        ++FPos;
      } else if (Peek() == L'#') {
        ++FPos;
        const std::size_t start = FPos;
        const bool hex = Peek() == L'$';
        if (hex)
          ++FPos;
        while (hex ? std::iswxdigit(Peek()) != 0 : IsDigit(Peek()))
          ++FPos;
        int code = 0;
        const String digits = FText.substr(start, FPos - start);
        if (!TryStrToInt(digits, code) || code < 0 || code > 0xFFFF)
          Error(L"Invalid character code");
        FTokenText += static_cast<Char>(code);
      } else {
        return;
      }
    }
  }

  void ReadNumber()
  {
    const std::size_t start = FPos;
    if (Peek() == L'-')
      ++FPos;
    if (Peek() == L'$') {
      ++FPos;
      while (std::iswxdigit(Peek()))
        ++FPos;
      FTokenText = FText.substr(start, FPos - start);
      return;
    }
    while (IsDigit(Peek()))
      ++FPos;
    if (Peek() == L'.' && IsDigit(Peek(1))) {
      FIsFloat = true;
      ++FPos;
      while (IsDigit(Peek()))
        ++FPos;
    }
    if ((Peek() == L'e' || Peek() == L'E') &&
        (IsDigit(Peek(1)) || ((Peek(1) == L'-' || Peek(1) == L'+') && IsDigit(Peek(2))))) {
      FIsFloat = true;
      FPos += 2;
      while (IsDigit(Peek()))
        ++FPos;
    }
    FTokenText = FText.substr(start, FPos - start);
    const Char suffix = static_cast<Char>(std::towlower(Peek()));
    if (suffix == L's' || suffix == L'c' || suffix == L'd') {
      FSuffix = suffix;
      FIsFloat = true;
      ++FPos;
    }
  }

  bool IsSymbol(Char C) const { return FToken == tkSymbol && FTokenText[0] == C; }
  bool IsKeyword(const wchar_t* AWord) const { return FToken == tkIdentifier && SameText(FTokenText, AWord); }
  bool IsObjectStart() const { return IsKeyword(L"object") || IsKeyword(L"inherited") || IsKeyword(L"inline"); }

  void Expect(Char C)
  {
    if (!IsSymbol(C))
      Error(Format(L"'%s' expected", {String(1, C)}));
    NextToken();
  }

  String ExpectIdentifier()
  {
    if (FToken != tkIdentifier)
      Error(L"Identifier expected");
    // The stream keeps a name in at most 255 bytes.
    if (FTokenText.size() > 255)
      Error(L"Identifier too long");
    String result = FTokenText;
    NextToken();
    return result;
  }

  void ConvertObject()
  {
    const TFilerNesting nesting(FNesting);
    if (nesting.TooDeep())
      Error(NestingError);
    if (!IsObjectStart())
      Error(L"'object' expected");
    int flags = IsKeyword(L"inherited") ? ffInherited : IsKeyword(L"inline") ? ffInline : 0;
    NextToken();
    String name, className = ExpectIdentifier();
    if (IsSymbol(L':')) {
      NextToken();
      name = className;
      className = ExpectIdentifier();
    }
    int childPos = 0;
    if (IsSymbol(L'[')) {
      NextToken();
      childPos = IndexValue();
      Expect(L']');
      flags |= ffChildPos;
    }
    if (flags) {
      const std::uint8_t prefix = static_cast<std::uint8_t>(0xF0 | flags);
      FWriter->Write(&prefix, 1);
      if (flags & ffChildPos)
        FWriter->WriteInteger(childPos);
    }
    FWriter->WriteStr(className);
    FWriter->WriteStr(name);
    while (!IsObjectStart() && !IsKeyword(L"end"))
      ConvertProperty();
    FWriter->WriteListEnd();
    while (IsObjectStart())
      ConvertObject();
    FWriter->WriteListEnd();
    if (!IsKeyword(L"end"))
      Error(L"'end' expected");
    NextToken();
  }

  void ConvertProperty()
  {
    FWriter->WriteStr(ExpectIdentifier());
    Expect(L'=');
    ConvertValue();
  }

  std::int64_t NumberValue()
  {
    if (FToken != tkNumber || FIsFloat)
      Error(L"Integer expected");
    String text = FTokenText;
    std::int64_t value = 0;
    if (!TryStrToInt64(text, value))
      Error(Format(L"Invalid integer %s", {text}));
    NextToken();
    return value;
  }

  // A child position or an item index, which the stream holds in 32 bits.
  int IndexValue()
  {
    const String text = FTokenText;
    const std::int64_t value = NumberValue();
    if (value < INT_MIN || value > INT_MAX)
      Error(Format(L"Invalid integer %s", {text}));
    return static_cast<int>(value);
  }

  void ConvertValue()
  {
    const TFilerNesting nesting(FNesting);
    if (nesting.TooDeep())
      Error(NestingError);
    if (FToken == tkText) {
      String text = FTokenText;
      NextToken();
      while (IsSymbol(L'+')) {
        NextToken();
        if (FToken != tkText)
          Error(L"String expected");
        text += FTokenText;
        NextToken();
      }
      FWriter->WriteString(text);
    } else if (FToken == tkNumber && !FIsFloat) {
      FWriter->WriteInteger(NumberValue());
    } else if (FToken == tkNumber) {
      ConvertFloat();
    } else if (FToken == tkIdentifier) {
      FWriter->WriteIdent(ExpectIdentifier());
    } else if (IsSymbol(L'[')) {
      ConvertSet();
    } else if (IsSymbol(L'(')) {
      NextToken();
      FWriter->WriteListBegin();
      while (!IsSymbol(L')')) {
        if (FToken == tkEOF)
          Error(L"')' expected");
        ConvertValue();
      }
      NextToken();
      FWriter->WriteListEnd();
    } else if (IsSymbol(L'{')) {
      ConvertBinary();
    } else if (IsSymbol(L'<')) {
      ConvertCollection();
    } else {
      Error(L"Invalid property value");
    }
  }

  void ConvertFloat()
  {
    Extended value = 0;
    if (!TryStrToFloat(FTokenText, value, NeutralSettings()))
      Error(Format(L"Invalid number %s", {FTokenText}));
    // The value must fit the form it is stored in; the currency's count is
    // a 64-bit integer.
    const Extended scaled = FSuffix == L'c' ? value * 10000 : value;
    const Extended low = FSuffix == L's'   ? -std::numeric_limits<float>::max()
                         : FSuffix == L'c' ? -9223372036854775808.0L
                         : FSuffix == L'd' ? -std::numeric_limits<double>::max()
                                           : -std::numeric_limits<Extended>::max();
    const Extended high = FSuffix == L'c' ? 9223372036854775807.0L : -low;
    if (!(scaled >= low && scaled <= high))
      Error(Format(L"Invalid number %s", {FTokenText}));
    switch (FSuffix) {
      case L's':
        FWriter->WriteSingle(static_cast<float>(value));
        break;
      case L'c':
        FWriter->WriteCurrency(Currency::FromRaw(Round(value * 10000)));
        break;
      case L'd':
        FWriter->WriteDate(static_cast<TDateTime>(value));
        break;
      default:
        FWriter->WriteFloat(value);
    }
    NextToken();
  }

  void ConvertSet()
  {
    NextToken();
    FWriter->WriteValue(vaSet);
    while (!IsSymbol(L']')) {
      FWriter->WriteStr(ExpectIdentifier());
      if (IsSymbol(L','))
        NextToken();
      else if (!IsSymbol(L']'))
        Error(L"']' expected");
    }
    NextToken();
    FWriter->WriteStr(String());
  }

  void ConvertBinary()
  {
    // The hex digits are read straight from the text, across lines.
    std::string bytes;
    int high = -1;
    for (;;) {
      SkipBlanks();
      if (FPos >= FText.size())
        Error(L"'}' expected");
      const Char c = FText[FPos++];
      if (c == L'}')
        break;
      // ASCII digits only: the library's test also takes full-width ones,
      // which have no value here.
      const int digit = c >= L'0' && c <= L'9'   ? c - L'0'
                        : c >= L'A' && c <= L'F' ? c - L'A' + 10
                        : c >= L'a' && c <= L'f' ? c - L'a' + 10
                                                 : -1;
      if (digit < 0)
        Error(L"Invalid binary value");
      if (high < 0) {
        high = digit;
      } else {
        bytes += static_cast<char>(high * 16 + digit);
        high = -1;
      }
    }
    if (high >= 0)
      Error(L"Invalid binary value");
    FWriter->WriteBinary(bytes.data(), static_cast<int>(bytes.size()));
    NextToken();
  }

  void ConvertCollection()
  {
    NextToken();
    FWriter->WriteValue(vaCollection);
    while (!IsSymbol(L'>')) {
      if (!IsKeyword(L"item"))
        Error(L"'item' expected");
      NextToken();
      if (IsSymbol(L'[')) {
        NextToken();
        FWriter->WriteInteger(IndexValue());
        Expect(L']');
      }
      FWriter->WriteListBegin();
      while (!IsKeyword(L"end")) {
        if (FToken == tkEOF)
          Error(L"'end' expected");
        ConvertProperty();
      }
      NextToken();
      FWriter->WriteListEnd();
    }
    NextToken();
    FWriter->WriteListEnd();
  }

  const String& FText;
  TWriter* FWriter;
  std::size_t FPos = 0;
  int FLine = 1;
  TToken FToken = tkEOF;
  String FTokenText;
  Char FSuffix = 0;
  bool FIsFloat = false;
  int FNesting = 0;
};

}  // namespace

void ObjectBinaryToText(TStream* AInput, TStream* AOutput)
{
  String text;
  {
    TOwnedPtr<TReader> reader(New<TReader>(AInput, 4096));
    text = TBinaryToText(reader.get()).Convert();
  }
  std::string bytes;
  TryToUtf8(text, bytes);
  AOutput->WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
}

void ObjectTextToBinary(TStream* AInput, TStream* AOutput)
{
  const std::int64_t size = AInput->GetSize() - AInput->GetPosition();
  std::string bytes(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)), '\0');
  AInput->ReadBuffer(bytes.data(), static_cast<int>(bytes.size()));
  const String text = FromCodePage(CP_UTF8, bytes);
  TOwnedPtr<TWriter> writer(New<TWriter>(AOutput, 4096));
  TTextToBinary(text, writer.get()).Convert();
  writer->FlushBuffer();
}

}  // namespace rtl
