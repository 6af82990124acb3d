#include "platform/rtl/ClassesFiler.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "platform/rtl/ClassesThreads.h"
#include "tests/support/TestMutation.h"

using enum rtl::TComponentStateFlag;
using enum rtl::TValueType;

using namespace rtl;

namespace filer_test {

using TByteList = std::vector<std::uint8_t>;

TByteList Bytes(std::initializer_list<int> AValues)
{
  TByteList result;
  for (int value : AValues)
    result.push_back(static_cast<std::uint8_t>(value));
  return result;
}

TByteList Concat(TByteList A, const TByteList& B)
{
  A.insert(A.end(), B.begin(), B.end());
  return A;
}

TByteList Ascii(const std::string& AText)
{
  return TByteList(AText.begin(), AText.end());
}

TByteList StreamBytes(TBytesStream* AStream)
{
  const TBytes& bytes = AStream->GetBytes();
  return TByteList(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(AStream->GetSize()));
}

// What AWrite writes through a writer with the storage's buffer size.
TByteList Written(const std::function<void(TWriter*)>& AWrite)
{
  TOwnedPtr<TBytesStream> stream(New<TBytesStream>());
  {
    TOwnedPtr<TWriter> writer(New<TWriter>(stream.get(), 500000));
    AWrite(writer.get());
  }
  return StreamBytes(stream.get());
}

TOwnedPtr<TBytesStream> StreamOf(const TByteList& ABytes)
{
  return TOwnedPtr<TBytesStream>(New<TBytesStream>(TBytes(ABytes.begin(), ABytes.end())));
}

template <class E>
String ErrorText(const std::function<void()>& AAction)
{
  try {
    AAction();
  } catch (const E& Error) {
    return Error.Message();
  }
  return L"(no error)";
}

// ---------------------------------------------------------------------------
// Values

RTL_ENUM(TFilerShapeKind, skCircle, skSquare, skTriangle);
using TFilerShapeKinds = TSet<TFilerShapeKind>;
// Shares the value name skCircle with TFilerShapeKind, at another ordinal.
RTL_ENUM(TFilerMarkKind, mkNone, skCircle);

TEST(TWriter, WritesEachValueInItsExactForm)
{
  const TByteList utf16Cyrillic = Bytes({0x12, 6, 0, 0, 0, 0x1F, 0x04, 0x40, 0x04, 0x38, 0x04, 0x32, 0x04, 0x35, 0x04,
                                         0x42, 0x04});
  struct TCase {
    const char* Name;
    std::function<void(TWriter*)> Write;
    TByteList Expected;
  } cases[] = {
      {"int 0", [](TWriter* W) { W->WriteInteger(0); }, Bytes({0x02, 0x00})},
      {"int 127", [](TWriter* W) { W->WriteInteger(127); }, Bytes({0x02, 0x7F})},
      {"int -128", [](TWriter* W) { W->WriteInteger(-128); }, Bytes({0x02, 0x80})},
      {"int 128", [](TWriter* W) { W->WriteInteger(128); }, Bytes({0x03, 0x80, 0x00})},
      {"int -32768", [](TWriter* W) { W->WriteInteger(-32768); }, Bytes({0x03, 0x00, 0x80})},
      {"int 32768", [](TWriter* W) { W->WriteInteger(32768); }, Bytes({0x04, 0x00, 0x80, 0x00, 0x00})},
      {"int min", [](TWriter* W) { W->WriteInteger(INT_MIN); }, Bytes({0x04, 0x00, 0x00, 0x00, 0x80})},
      {"int64 small", [](TWriter* W) { W->WriteInteger(std::int64_t(-2)); }, Bytes({0x02, 0xFE})},
      {"int64 large", [](TWriter* W) { W->WriteInteger(std::int64_t(0x100000000)); },
       Bytes({0x13, 0, 0, 0, 0, 1, 0, 0, 0})},
      {"false", [](TWriter* W) { W->WriteBoolean(false); }, Bytes({0x08})},
      {"true", [](TWriter* W) { W->WriteBoolean(true); }, Bytes({0x09})},
      {"extended 1", [](TWriter* W) { W->WriteFloat(1.0L); },
       Bytes({0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F})},
      {"extended -2.5", [](TWriter* W) { W->WriteFloat(-2.5L); },
       Bytes({0x05, 0, 0, 0, 0, 0, 0, 0, 0xA0, 0x00, 0xC0})},
      {"single 1", [](TWriter* W) { W->WriteSingle(1.0f); }, Bytes({0x0F, 0x00, 0x00, 0x80, 0x3F})},
      {"currency 1.5", [](TWriter* W) { W->WriteCurrency(Currency::FromRaw(15000)); },
       Bytes({0x10, 0x98, 0x3A, 0, 0, 0, 0, 0, 0})},
      {"date 1", [](TWriter* W) { W->WriteDate(1.0); }, Bytes({0x11, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F})},
      {"short string", [](TWriter* W) { W->WriteString(L"abc"); }, Bytes({0x06, 3, 'a', 'b', 'c'})},
      {"empty string", [](TWriter* W) { W->WriteString(L""); }, Bytes({0x12, 0, 0, 0, 0})},
      {"long ASCII string", [](TWriter* W) { W->WriteString(String(300, L'a')); },
       Concat(Bytes({0x0C, 0x2C, 0x01, 0, 0}), TByteList(300, 'a'))},
      {"255 ASCII characters stay short", [](TWriter* W) { W->WriteString(String(255, L'b')); },
       Concat(Bytes({0x06, 0xFF}), TByteList(255, 'b'))},
      // Cyrillic with a blank: UTF-8 is shorter than UTF-16.
      {"Cyrillic with ASCII", [](TWriter* W) { W->WriteString(L"\u0414\u0430 \u0434\u0430"); },
       Bytes({0x14, 9, 0, 0, 0, 0xD0, 0x94, 0xD0, 0xB0, 0x20, 0xD0, 0xB4, 0xD0, 0xB0})},
      // Letters of two UTF-8 bytes only: as long as UTF-16, which wins.
      {"Cyrillic only", [](TWriter* W) { W->WriteString(L"\u041F\u0440\u0438\u0432\u0435\u0442"); },
       utf16Cyrillic},
      {"CJK", [](TWriter* W) { W->WriteString(L"\u4E2D\u6587"); }, Bytes({0x12, 2, 0, 0, 0, 0x2D, 0x4E, 0x87, 0x65})},
      // An unpaired surrogate has no UTF-8 form: UTF-16 keeps it.
      {"unpaired surrogate", [](TWriter* W) { W->WriteString(String(L"abcd") + wchar_t(0xD800)); },
       Bytes({0x12, 5, 0, 0, 0, 'a', 0, 'b', 0, 'c', 0, 'd', 0, 0x00, 0xD8})},
      {"char", [](TWriter* W) { W->WriteChar(L'x'); }, Bytes({0x06, 1, 'x'})},
      {"ident", [](TWriter* W) { W->WriteIdent(L"alClient"); }, Concat(Bytes({0x07, 8}), Ascii("alClient"))},
      {"ident False", [](TWriter* W) { W->WriteIdent(L"false"); }, Bytes({0x08})},
      {"ident True", [](TWriter* W) { W->WriteIdent(L"True"); }, Bytes({0x09})},
      {"ident nil", [](TWriter* W) { W->WriteIdent(L"nil"); }, Bytes({0x0D})},
      {"ident Null", [](TWriter* W) { W->WriteIdent(L"Null"); }, Bytes({0x00})},
      {"set", [](TWriter* W) { W->WriteSet(GetEnumInfo<TFilerShapeKind>(), 0b101); },
       Concat(Concat(Bytes({0x0B, 8}), Ascii("skCircle")), Concat(Bytes({10}), Concat(Ascii("skTriangle"), {0})))},
      {"empty set", [](TWriter* W) { W->WriteSet(GetEnumInfo<TFilerShapeKind>(), 0); }, Bytes({0x0B, 0x00})},
      {"binary", [](TWriter* W) { W->WriteBinary("\x01\x02", 2); }, Bytes({0x0A, 2, 0, 0, 0, 1, 2})},
      {"list", [](TWriter* W) { W->WriteListBegin(); W->WriteInteger(1); W->WriteListEnd(); },
       Bytes({0x01, 0x02, 0x01, 0x00})},
      {"variant empty", [](TWriter* W) { W->WriteVariant(Variant()); }, Bytes({0x0D})},
      {"variant null", [](TWriter* W) { W->WriteVariant(Variant::Null()); }, Bytes({0x00})},
      {"variant integer", [](TWriter* W) { W->WriteVariant(Variant(300)); }, Bytes({0x03, 0x2C, 0x01})},
      {"variant byte", [](TWriter* W) { W->WriteVariant(Variant::FromByte(200)); }, Bytes({0x03, 200, 0})},
      {"variant int64", [](TWriter* W) { W->WriteVariant(Variant(std::int64_t(-1) << 40)); },
       Bytes({0x13, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF})},
      {"variant double", [](TWriter* W) { W->WriteVariant(Variant(1.0)); },
       Bytes({0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F})},
      {"variant string", [](TWriter* W) { W->WriteVariant(Variant(L"ab")); }, Bytes({0x06, 2, 'a', 'b'})},
      {"variant boolean", [](TWriter* W) { W->WriteVariant(Variant(true)); }, Bytes({0x09})},
      {"variant date", [](TWriter* W) { W->WriteVariant(Variant::FromDate(1.0)); },
       Bytes({0x11, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F})},
      {"property record", [](TWriter* W) { W->WriteString(L"SourceDPI"); W->WriteInteger(96); },
       Concat(Concat(Bytes({0x06, 9}), Ascii("SourceDPI")), Bytes({0x02, 0x60}))},
      {"signature", [](TWriter* W) { W->WriteSignature(); }, Ascii("TPF0")},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(Written(c.Write), c.Expected) << c.Name;
}

TEST(TWriter, RefusesNamesItCannotStore)
{
  // A name is stored whole or not at all: cut, it would name something else.
  struct TCase {
    const char* Name;
    String Value;
  } cases[] = {
      {"longer than 255 bytes", String(256, L'a')},
      {"255 characters of two bytes each", String(255, L'\u00E9')},
      {"unpaired surrogate", String(1, wchar_t(0xD800))},
  };
  for (const TCase& c : cases)
    EXPECT_THROW(Written([&](TWriter* W) { W->WriteStr(c.Value); }), EWriteError) << c.Name;
  EXPECT_EQ(Written([](TWriter* W) { W->WriteStr(String(255, L'a')); }), Concat(Bytes({0xFF}), TByteList(255, 'a')));
}

TEST(TReader, ReadsBackWhatTheWriterWrote)
{
  // Each value is written, read back through ReadVariant or its own reader,
  // and must leave the stream at its end.
  struct TCase {
    const char* Name;
    std::function<void(TWriter*)> Write;
    std::function<Variant(TReader*)> Read;
    Variant Expected;
  } cases[] = {
      {"int8", [](TWriter* W) { W->WriteInteger(-5); }, [](TReader* R) { return Variant(R->ReadInteger()); },
       Variant(-5)},
      {"int32", [](TWriter* W) { W->WriteInteger(INT_MAX); }, [](TReader* R) { return Variant(R->ReadInteger()); },
       Variant(INT_MAX)},
      {"int64", [](TWriter* W) { W->WriteInteger(INT64_MIN); }, [](TReader* R) { return Variant(R->ReadInt64()); },
       Variant(INT64_MIN)},
      {"int64 of a small value", [](TWriter* W) { W->WriteInteger(std::int64_t(7)); },
       [](TReader* R) { return Variant(R->ReadInt64()); }, Variant(std::int64_t(7))},
      {"extended", [](TWriter* W) { W->WriteFloat(0.1L); },
       [](TReader* R) { return Variant(static_cast<double>(R->ReadFloat())); }, Variant(0.1)},
      {"float from integer", [](TWriter* W) { W->WriteInteger(3); },
       [](TReader* R) { return Variant(static_cast<double>(R->ReadFloat())); }, Variant(3.0)},
      {"single", [](TWriter* W) { W->WriteSingle(0.25f); }, [](TReader* R) { return Variant::FromSingle(R->ReadSingle()); },
       Variant::FromSingle(0.25f)},
      {"currency", [](TWriter* W) { W->WriteCurrency(Currency::FromRaw(-123456)); },
       [](TReader* R) { return Variant(R->ReadCurrency()); }, Variant(Currency::FromRaw(-123456))},
      {"date", [](TWriter* W) { W->WriteDate(45000.5); }, [](TReader* R) { return Variant::FromDate(R->ReadDate()); },
       Variant::FromDate(45000.5)},
      {"short string", [](TWriter* W) { W->WriteString(L"Tahoma"); },
       [](TReader* R) { return Variant(R->ReadString()); }, Variant(L"Tahoma")},
      {"long string", [](TWriter* W) { W->WriteString(String(70000, L'q')); },
       [](TReader* R) { return Variant(R->ReadString()); }, Variant(String(70000, L'q'))},
      {"UTF-8 string", [](TWriter* W) { W->WriteString(L"\u0414\u0430 \u0434\u0430"); },
       [](TReader* R) { return Variant(R->ReadString()); }, Variant(L"\u0414\u0430 \u0434\u0430")},
      {"UTF-16 string", [](TWriter* W) { W->WriteString(L"\u4E2D\u6587"); },
       [](TReader* R) { return Variant(R->ReadString()); }, Variant(L"\u4E2D\u6587")},
      {"empty string", [](TWriter* W) { W->WriteString(L""); }, [](TReader* R) { return Variant(R->ReadString()); },
       Variant(L"")},
      {"ident", [](TWriter* W) { W->WriteIdent(L"alTop"); }, [](TReader* R) { return Variant(R->ReadIdent()); },
       Variant(L"alTop")},
      {"ident True", [](TWriter* W) { W->WriteIdent(L"TRUE"); }, [](TReader* R) { return Variant(R->ReadIdent()); },
       Variant(L"True")},
      {"char", [](TWriter* W) { W->WriteChar(L'\u4E2D'); },
       [](TReader* R) { return Variant(String(1, R->ReadChar())); }, Variant(L"\u4E2D")},
      {"set", [](TWriter* W) { W->WriteSet(GetEnumInfo<TFilerShapeKind>(), 0b110); },
       [](TReader* R) { return Variant(static_cast<std::int32_t>(R->ReadSet(GetEnumInfo<TFilerShapeKind>()))); },
       Variant(0b110)},
      {"binary", [](TWriter* W) { W->WriteBinary("\x00\xFF\x10", 3); },
       [](TReader* R) {
         const TBytes bytes = R->ReadBinary();
         return Variant(static_cast<std::int32_t>(bytes.size() * 1000 + bytes[1]));
       },
       Variant(3255)},
      {"variant null", [](TWriter* W) { W->WriteVariant(Variant::Null()); },
       [](TReader* R) { return Variant(R->ReadVariant().VarType() == varNull); }, Variant(true)},
      {"variant currency", [](TWriter* W) { W->WriteVariant(Variant(Currency::FromRaw(5))); },
       [](TReader* R) { return R->ReadVariant(); }, Variant(Currency::FromRaw(5))},
      {"list skipped", [](TWriter* W) {
         W->WriteListBegin();
         W->WriteString(L"x");
         W->WriteFloat(2);
         W->WriteListBegin();
         W->WriteListEnd();
         W->WriteListEnd();
       },
       [](TReader* R) {
         R->SkipValue();
         return Variant(true);
       },
       Variant(true)},
  };
  for (const TCase& c : cases) {
    const TByteList bytes = Written(c.Write);
    TOwnedPtr<TBytesStream> stream = StreamOf(bytes);
    {
      TOwnedPtr<TReader> reader(New<TReader>(stream.get(), 500000));
      EXPECT_EQ(c.Read(reader.get()), c.Expected) << c.Name;
    }
    EXPECT_EQ(stream->GetPosition(), static_cast<std::int64_t>(bytes.size())) << c.Name;
  }
}

TEST(TReader, EnumerationsSharingAValueNameReadTheirOwnOrdinal)
{
  // A set is stored by its values' names; each type maps the shared name to
  // its own ordinal.
  const TByteList bytes = Written([](TWriter* W) { W->WriteSet(GetEnumInfo<TFilerMarkKind>(), 0b10); });
  EXPECT_EQ(bytes, Concat(Concat(Bytes({0x0B, 8}), Ascii("skCircle")), Bytes({0})));
  const struct {
    const TEnumInfo* info;
    std::uint32_t expected;
  } cases[] = {{GetEnumInfo<TFilerMarkKind>(), 1u << TFilerMarkKind::skCircle},
               {GetEnumInfo<TFilerShapeKind>(), 1u << TFilerShapeKind::skCircle}};
  for (const auto& c : cases) {
    TOwnedPtr<TBytesStream> stream = StreamOf(bytes);
    TOwnedPtr<TReader> reader(New<TReader>(stream.get(), 500000));
    EXPECT_EQ(reader->ReadSet(c.info), c.expected) << testing::PrintToString(std::wstring(c.info->Name));
  }
}

TEST(TReader, DecodesTheShortAndLongFormsAsTheirEncodings)
{
  // $06 carries UTF-8 (as the storage reads it), $0C the ANSI code page,
  // which the writer only uses for ASCII.
  TOwnedPtr<TBytesStream> stream =
      StreamOf(Bytes({0x06, 2, 0xC3, 0xA9, 0x0C, 3, 0, 0, 0, 'a', 'b', 'c', 0x14, 2, 0, 0, 0, 0xC3, 0xA9}));
  TOwnedPtr<TReader> reader(New<TReader>(stream.get(), 16));
  EXPECT_EQ(reader->ReadString(), L"\u00E9");
  EXPECT_EQ(reader->ReadString(), L"abc");
  EXPECT_EQ(reader->ReadString(), L"\u00E9");
}

TEST(TReader, RefusesValuesOfTheWrongKind)
{
  struct TCase {
    const char* Name;
    TByteList Bytes;
    std::function<void(TReader*)> Read;
    String Message;
  } cases[] = {
      {"integer from int64", Bytes({0x13, 0, 0, 0, 0, 1, 0, 0, 0}), [](TReader* R) { R->ReadInteger(); },
       L"Invalid property value"},
      {"integer from string", Bytes({0x06, 1, '1'}), [](TReader* R) { R->ReadInteger(); }, L"Invalid property value"},
      {"string from integer", Bytes({0x02, 5}), [](TReader* R) { R->ReadString(); }, L"Invalid property value"},
      {"string from ident", Bytes({0x07, 1, 'a'}), [](TReader* R) { R->ReadString(); }, L"Invalid property value"},
      {"boolean from integer", Bytes({0x02, 1}), [](TReader* R) { R->ReadBoolean(); }, L"Invalid property value"},
      {"char of two", Bytes({0x06, 2, 'a', 'b'}), [](TReader* R) { R->ReadChar(); }, L"Invalid property value"},
      {"float from single", Bytes({0x0F, 0, 0, 0x80, 0x3F}), [](TReader* R) { R->ReadFloat(); },
       L"Invalid property value"},
      {"unknown set member", Bytes({0x0B, 1, 'x', 0}),
       [](TReader* R) { R->ReadSet(GetEnumInfo<TFilerShapeKind>()); }, L"Invalid property value"},
      {"list begin", Bytes({0x00}), [](TReader* R) { R->ReadListBegin(); }, L"Invalid property value"},
      {"list end", Bytes({0x01}), [](TReader* R) { R->ReadListEnd(); }, L"Invalid property value"},
      {"variant from ident", Bytes({0x07, 1, 'a'}), [](TReader* R) { R->ReadVariant(); }, L"Invalid property value"},
      {"negative length", Bytes({0x0C, 0xFF, 0xFF, 0xFF, 0xFF}), [](TReader* R) { R->ReadString(); },
       L"Invalid property value"},
      {"unknown value type", Bytes({0x40}), [](TReader* R) { R->SkipValue(); }, L"Invalid property value"},
      {"signature", Ascii("TPF1"), [](TReader* R) { R->ReadSignature(); }, L"Invalid stream format"},
      {"truncated integer", Bytes({0x03, 0x01}), [](TReader* R) { R->ReadInteger(); }, L"Stream read error"},
      // A huge length in a short stream fails at the stream's end, not by
      // asking for the memory first.
      {"truncated text", Bytes({0x14, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}), [](TReader* R) { R->ReadString(); },
       L"Stream read error"},
      {"empty stream", Bytes({}), [](TReader* R) { R->ReadValue(); }, L"Stream read error"},
  };
  for (const TCase& c : cases) {
    TOwnedPtr<TBytesStream> stream = StreamOf(c.Bytes);
    TOwnedPtr<TReader> reader(New<TReader>(stream.get(), 500000));
    EXPECT_EQ(ErrorText<EReadError>([&] { c.Read(reader.get()); }), c.Message) << c.Name;
  }
}

TEST(TReader, AValueOfTheWrongKindStaysInTheStream)
{
  TOwnedPtr<TBytesStream> stream = StreamOf(Bytes({0x06, 1, 'a'}));
  TOwnedPtr<TReader> reader(New<TReader>(stream.get(), 500000));
  EXPECT_THROW(reader->ReadInteger(), EReadError);
  EXPECT_EQ(reader->ReadString(), L"a");
}

TEST(TFiler, TheStreamStandsJustAfterTheBytesUsed)
{
  // Data before the writer's start stays, the values follow it.
  TOwnedPtr<TBytesStream> stream(New<TBytesStream>());
  stream->WriteBuffer("ab", 2);
  {
    TOwnedPtr<TWriter> writer(New<TWriter>(stream.get(), 500000));
    writer->WriteInteger(5);
    writer->WriteInteger(6);
    EXPECT_EQ(writer->GetPosition(), 6);
  }
  EXPECT_EQ(StreamBytes(stream.get()), Bytes({'a', 'b', 0x02, 5, 0x02, 6}));

  // The reader reads ahead but gives back what it did not use.
  stream->SetPosition(2);
  {
    TOwnedPtr<TReader> reader(New<TReader>(stream.get(), 500000));
    EXPECT_EQ(reader->ReadInteger(), 5);
    EXPECT_EQ(reader->GetPosition(), 4);
  }
  EXPECT_EQ(stream->GetPosition(), 4);

  // A buffer smaller than the values is refilled as often as needed.
  const TByteList bytes = Written([](TWriter* W) { W->WriteString(String(1000, L'z')); });
  TOwnedPtr<TBytesStream> input = StreamOf(bytes);
  TOwnedPtr<TReader> reader(New<TReader>(input.get(), 16));
  EXPECT_EQ(reader->ReadString(), String(1000, L'z'));
}

// ---------------------------------------------------------------------------
// Properties

class TFilerFont : public TPersistent {
  RTL_CLASS(TFilerFont, TPersistent)
  RTL_PUBLISHED(RTL_PROPERTY(Name, FName, FName), RTL_PROPERTY(Size, FSize, FSize, RTL_DEFAULT(8)))

 public:
  String FName;
  int FSize;
};

class TFilerShape : public TPersistent {
  RTL_CLASS(TFilerShape, TPersistent)
  RTL_PUBLISHED(RTL_PROPERTY(Width, FWidth, FWidth, RTL_DEFAULT(10)),
                RTL_PROPERTY(Visible, FVisible, FVisible),
                RTL_PROPERTY(Kind, FKind, FKind, RTL_DEFAULT(TFilerShapeKind::skSquare)),
                RTL_PROPERTY(Kinds, FKinds, FKinds, RTL_DEFAULT(TFilerShapeKinds{TFilerShapeKind::skCircle})),
                RTL_PROPERTY(Caption, FCaption, FCaption),
                RTL_PROPERTY(Letter, FLetter, FLetter, RTL_DEFAULT(L'\0')),
                RTL_PROPERTY(Ratio, FRatio, FRatio),
                RTL_PROPERTY(Scale, FScale, FScale),
                RTL_PROPERTY(Price, FPrice, FPrice),
                RTL_PROPERTY(When, FWhen, FWhen, RTL_DATETIME),
                RTL_PROPERTY(Big, FBig, FBig),
                RTL_PROPERTY(Value, FValue, FValue),
                RTL_PROPERTY(Hidden, FHidden, FHidden, RTL_NOT_STORED),
                RTL_READONLY_PROPERTY(Font, GetFont),
                RTL_PROPERTY(OnChange, FOnChange, FOnChange))

 public:
  void Create()
  {
    FWidth = 10;
    FKind = TFilerShapeKind::skSquare;
    FKinds = {TFilerShapeKind::skCircle};
    FFont = New<TFilerFont>();
    FFont->FSize = 8;
  }
  void Destroy() override
  {
    FreeAndNil(FFont);
    inherited::Destroy();
  }
  TFilerFont* GetFont() const { return FFont; }

  int FWidth;
  bool FVisible;
  TFilerShapeKind FKind;
  TFilerShapeKinds FKinds;
  String FCaption;
  wchar_t FLetter;
  double FRatio;
  float FScale;
  Currency FPrice;
  double FWhen;
  long long FBig;
  Variant FValue;
  int FHidden;
  TNotifyEvent FOnChange;
  // Defined properties: an integer stored only when not zero, and a block.
  int FExtra;
  TBytes FBlob;

 protected:
  void DefineProperties(TFiler* AFiler) override
  {
    inherited::DefineProperties(AFiler);
    AFiler->DefineProperty(L"Extra", TReaderProc::Bind<&TFilerShape::ReadExtra>(this),
                           TWriterProc::Bind<&TFilerShape::WriteExtra>(this), FExtra != 0);
    AFiler->DefineBinaryProperty(L"Blob", TStreamProc::Bind<&TFilerShape::ReadBlob>(this),
                                 TStreamProc::Bind<&TFilerShape::WriteBlob>(this), !FBlob.empty());
  }

 private:
  TFilerFont* FFont;

  void ReadExtra(TReader* AReader) { FExtra = AReader->ReadInteger(); }
  void WriteExtra(TWriter* AWriter) { AWriter->WriteInteger(FExtra); }
  void ReadBlob(TStream* AStream)
  {
    FBlob.resize(static_cast<std::size_t>(AStream->GetSize()));
    AStream->ReadBuffer(FBlob.data(), static_cast<int>(FBlob.size()));
  }
  void WriteBlob(TStream* AStream) { AStream->WriteBuffer(FBlob.data(), static_cast<int>(FBlob.size())); }
};

TByteList WrittenProperties(TPersistent* AInstance)
{
  return Written([AInstance](TWriter* W) {
    W->WriteProperties(AInstance);
    W->WriteListEnd();
  });
}

void ReadProperties(const TByteList& ABytes, TPersistent* AInstance)
{
  TOwnedPtr<TBytesStream> stream = StreamOf(ABytes);
  TOwnedPtr<TReader> reader(New<TReader>(stream.get(), 500000));
  while (!reader->EndOfList())
    reader->ReadProperty(AInstance);
  reader->ReadListEnd();
}

TEST(TWriter, LeavesOutPropertiesAtTheirDefaults)
{
  // Only the Boolean, which has no default, is written; empty texts, zero
  // numbers, an empty variant, an unassigned event, the font at its
  // defaults and the defined properties without data are not.
  TOwnedPtr<TFilerShape> shape(New<TFilerShape>());
  EXPECT_EQ(WrittenProperties(shape.get()), Concat(Concat(Bytes({7}), Ascii("Visible")), Bytes({0x08, 0x00})));
}

TEST(TWriter, WritesNestedObjectPropertiesAsPaths)
{
  TOwnedPtr<TFilerShape> shape(New<TFilerShape>());
  shape->FVisible = true;
  shape->GetFont()->FName = L"Tahoma";
  // Names carry no value type; values do.
  const TByteList expected = Concat(Concat(Concat(Bytes({7}), Ascii("Visible")), Bytes({0x09, 9})),
                                    Concat(Concat(Ascii("Font.Name"), Bytes({0x06, 6})), Concat(Ascii("Tahoma"), {0})));
  EXPECT_EQ(WrittenProperties(shape.get()), expected);
}

TEST(TReader, RestoresThePropertiesOfAPersistent)
{
  TOwnedPtr<TFilerShape> source(New<TFilerShape>());
  source->FWidth = 300;
  source->FVisible = true;
  source->FKind = TFilerShapeKind::skTriangle;
  source->FKinds = {TFilerShapeKind::skSquare, TFilerShapeKind::skTriangle};
  source->FCaption = L"Line 1\r\n\u0414\u0430 \u4E2D";
  source->FLetter = L'\u00E9';
  source->FRatio = 0.1;
  source->FScale = 1.5f;
  source->FPrice = Currency::FromRaw(123456);
  source->FWhen = 45000.25;
  source->FBig = std::int64_t(1) << 40;
  source->FValue = Variant(L"text");
  source->FHidden = 5;
  source->GetFont()->FName = L"Segoe UI";
  source->GetFont()->FSize = 12;
  source->FExtra = -7;
  source->FBlob = {1, 2, 3, 255};

  TOwnedPtr<TFilerShape> target(New<TFilerShape>());
  ReadProperties(WrittenProperties(source.get()), target.get());
  EXPECT_EQ(target->FWidth, 300);
  EXPECT_TRUE(target->FVisible);
  EXPECT_EQ(target->FKind, TFilerShapeKind::skTriangle);
  EXPECT_EQ(target->FKinds, (TFilerShapeKinds{TFilerShapeKind::skSquare, TFilerShapeKind::skTriangle}));
  EXPECT_EQ(target->FCaption, source->FCaption);
  EXPECT_EQ(target->FLetter, L'\u00E9');
  EXPECT_EQ(target->FRatio, 0.1);
  EXPECT_EQ(target->FScale, 1.5f);
  EXPECT_EQ(target->FPrice, Currency::FromRaw(123456));
  EXPECT_EQ(target->FWhen, 45000.25);
  EXPECT_EQ(target->FBig, std::int64_t(1) << 40);
  EXPECT_EQ(target->FValue, Variant(L"text"));
  EXPECT_EQ(target->FHidden, 0) << "a property that is not stored";
  EXPECT_EQ(target->GetFont()->FName, L"Segoe UI");
  EXPECT_EQ(target->GetFont()->FSize, 12);
  EXPECT_EQ(target->FExtra, -7);
  EXPECT_EQ(target->FBlob, (TBytes{1, 2, 3, 255}));
}

TEST(TWriter, WritesOnlyWhatDiffersFromTheAncestor)
{
  TOwnedPtr<TFilerShape> ancestor(New<TFilerShape>());
  TOwnedPtr<TFilerShape> shape(New<TFilerShape>());
  ancestor->FCaption = shape->FCaption = L"same";
  ancestor->FWidth = 50;
  shape->FWidth = 10;
  shape->GetFont()->FName = ancestor->GetFont()->FName = L"Tahoma";
  const TByteList bytes = Written([&](TWriter* W) {
    W->SetAncestor(ancestor.get());
    W->WriteProperties(shape.get());
  });
  // Width differs from the ancestor's though it is the default.
  EXPECT_EQ(bytes, Concat(Concat(Bytes({5}), Ascii("Width")), Bytes({0x02, 10})));
}

TEST(TReader, UnknownPropertiesAndValuesOfTheWrongKindRaise)
{
  TOwnedPtr<TFilerShape> shape(New<TFilerShape>());
  struct TCase {
    const char* Name;
    std::function<void(TWriter*)> Write;
    String Message;
  } cases[] = {
      {"unknown", [](TWriter* W) { W->WriteStr(L"Height"); W->WriteInteger(1); }, L"Property Height does not exist"},
      {"unknown in a path", [](TWriter* W) { W->WriteStr(L"Pen.Width"); W->WriteInteger(1); },
       L"Property Pen does not exist"},
      {"path through a value", [](TWriter* W) { W->WriteStr(L"Width.Size"); W->WriteInteger(1); },
       L"Property Width does not exist"},
      {"text for a number", [](TWriter* W) { W->WriteStr(L"Width"); W->WriteString(L"1"); },
       L"Invalid property value"},
      {"unknown enumeration value", [](TWriter* W) { W->WriteStr(L"Kind"); W->WriteIdent(L"skOval"); },
       L"Invalid property value"},
      {"event without a root to bind to", [](TWriter* W) { W->WriteStr(L"OnChange"); W->WriteIdent(L"Changed"); },
       L"Method Changed not found"},
      {"read-only value", [](TWriter* W) { W->WriteStr(L"Font"); W->WriteValue(vaNil); }, L"Property is read-only"},
      {"a set for a Boolean", [](TWriter* W) { W->WriteStr(L"Visible"); W->WriteSet(GetEnumInfo<TFilerShapeKind>(), 0); },
       L"Invalid property value"},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(ErrorText<EReadError>([&] { ReadProperties(Concat(Written(c.Write), {0}), shape.get()); }), c.Message)
        << c.Name;
}

// ---------------------------------------------------------------------------
// Components and the text form

class TFilerItem : public TCollectionItem {
  RTL_CLASS(TFilerItem, TCollectionItem)
  RTL_PUBLISHED(RTL_PROPERTY(Title, FTitle, FTitle), RTL_PROPERTY(Link, FLink, FLink))

 public:
  String FTitle;
  TComponent* FLink;
};

// An item holding items of its own kind, as a tree's nodes do.
class TFilerTreeItem : public TCollectionItem {
  RTL_CLASS(TFilerTreeItem, TCollectionItem)
  RTL_PUBLISHED(RTL_READONLY_PROPERTY(Children, GetChildren))

 public:
  void Create(TCollection* ACollection) override
  {
    inherited::Create(ACollection);
    FChildren = New<TOwnedCollection>(this, TCollectionItemClass::Of<TFilerTreeItem>());
  }
  void Destroy() override
  {
    inherited::Destroy();
    FreeAndNil(FChildren);
  }
  TCollection* GetChildren() const { return FChildren; }

 private:
  TCollection* FChildren;
};

class TFilerComponent : public TComponent {
  RTL_CLASS(TFilerComponent, TComponent)

 public:
  std::vector<String>* FLog;
  int FLoadedCount;
  bool FLoadingInCreate;
  bool FReferenceSetInLoaded;

  void Create(TComponent* AOwner) override
  {
    inherited::Create(AOwner);
    FLoadingInCreate = GetComponentState().Contains(csLoading);
  }

 protected:
  void Loaded() override;
};

class TFilerButton : public TFilerComponent {
  RTL_CLASS(TFilerButton, TFilerComponent)
  RTL_PUBLISHED(RTL_PROPERTY(Caption, FCaption, FCaption),
                RTL_PROPERTY(Scale, FScale, FScale),
                RTL_PROPERTY(Link, FLink, FLink),
                RTL_PROPERTY(OnClick, FOnClick, FOnClick))

 public:
  String FCaption;
  double FScale;
  TFilerButton* FLink;
  TNotifyEvent FOnClick;
};

// Takes the memory of the last one freed again, as a heap may: a stale
// pointer to a freed button then reaches the next one made.
class TFilerReusedButton : public TFilerButton {
  RTL_CLASS(TFilerReusedButton, TFilerButton)

 public:
  static void* NewInstance(std::size_t ASize)
  {
    void*& spare = Spare();
    return spare ? std::exchange(spare, nullptr) : ::operator new(ASize);
  }
  void FreeInstance() override
  {
    void*& spare = Spare();
    ::operator delete(spare);
    spare = CleanupInstance();
  }

 private:
  static void*& Spare()
  {
    static void* spare = nullptr;
    return spare;
  }
};

class TFilerForm : public TFilerComponent {
  RTL_CLASS(TFilerForm, TFilerComponent)
  RTL_PUBLISHED(RTL_PROPERTY(Caption, FCaption, FCaption),
                RTL_PROPERTY(Kinds, FKinds, FKinds),
                RTL_PROPERTY(Target, FTarget, FTarget),
                RTL_READONLY_PROPERTY(Items, GetItems),
                RTL_READONLY_PROPERTY(Tree, GetTree),
                RTL_PROPERTY(OnNotify, FOnNotify, FOnNotify))
  RTL_PUBLISHED_METHODS(RTL_METHOD(Button1Click))

 public:
  void Create(TComponent* AOwner) override
  {
    inherited::Create(AOwner);
    FItems = New<TOwnedCollection>(this, TCollectionItemClass::Of<TFilerItem>());
    FTree = New<TOwnedCollection>(this, TCollectionItemClass::Of<TFilerTreeItem>());
  }
  void Destroy() override
  {
    inherited::Destroy();
    FreeAndNil(FItems);
    FreeAndNil(FTree);
  }
  TCollection* GetTree() const { return FTree; }
  void Button1Click(TObject*) {}
  TCollection* GetItems() const { return FItems; }

  void GetChildren(const TGetChildProc& AProc, TComponent*) override
  {
    for (int i = 0; i < GetComponentCount(); ++i)
      AProc(GetComponents(i));
  }

  String FCaption;
  TFilerShapeKinds FKinds;
  TFilerButton* FTarget;
  TNotifyEvent FOnNotify;
  std::vector<String> FLoadedLog;
  // The component the form frees in its Loaded, as an OnCreate handler may.
  String FFreeInLoaded;

 private:
  TCollection* FItems;
  TCollection* FTree;
};

void TFilerComponent::Loaded()
{
  inherited::Loaded();
  ++FLoadedCount;
  auto* form = Is<TFilerForm>(this) ? static_cast<TFilerForm*>(this) : As<TFilerForm>(GetOwner());
  form->FLoadedLog.push_back(GetName());
  // References are fixed up before any component hears Loaded.
  FReferenceSetInLoaded = form->FTarget != nullptr;
  if (this == form && !form->FFreeInLoaded.empty()) {
    Free(form->FindComponent(form->FFreeInLoaded));
    // In the freed memory: a Loaded called there would reach it.
    New<TFilerReusedButton>(form)->SetName(L"Replacement");
  }
}

const char FormText[] =
    "object Form1: TFilerForm\r\n"
    "  Caption = 'Hello'#13#10'world '#1044#1072\r\n"
    "  Kinds = [skCircle, skTriangle]\r\n"
    "  Target = Button2\r\n"
    "  Items = <\r\n"
    "    item\r\n"
    "      Title = 'first'\r\n"
    "    end\r\n"
    "    item\r\n"
    "      Title = 'it''s second'\r\n"
    "    end>\r\n"
    "  OnNotify = Button1Click\r\n"
    "  object Button1: TFilerButton\r\n"
    "    Tag = 7\r\n"
    "    Scale = 1.5\r\n"
    "    Link = Button2\r\n"
    "    OnClick = Button1Click\r\n"
    "  end\r\n"
    "  object Button2: TFilerButton\r\n"
    "    Caption = 'Two'\r\n"
    "  end\r\n"
    "end\r\n";

TOwnedPtr<TBytesStream> TextStream(const std::string& AText)
{
  return StreamOf(TByteList(AText.begin(), AText.end()));
}

TByteList TextToBinary(const std::string& AText)
{
  TOwnedPtr<TBytesStream> input = TextStream(AText);
  TOwnedPtr<TBytesStream> output(New<TBytesStream>());
  ObjectTextToBinary(input.get(), output.get());
  return StreamBytes(output.get());
}

std::string BinaryToText(const TByteList& ABytes)
{
  TOwnedPtr<TBytesStream> input = StreamOf(ABytes);
  TOwnedPtr<TBytesStream> output(New<TBytesStream>());
  ObjectBinaryToText(input.get(), output.get());
  const TByteList bytes = StreamBytes(output.get());
  return std::string(bytes.begin(), bytes.end());
}

// A component with a list, as a memo's lines or a list box's items.
class TFilerNotes : public TComponent {
  RTL_CLASS(TFilerNotes, TComponent)
  RTL_PUBLISHED(RTL_READONLY_PROPERTY(Lines, GetLines))

 public:
  void Create(TComponent* AOwner) override
  {
    inherited::Create(AOwner);
    FLines = New<TStringList>();
  }
  void Destroy() override
  {
    Free(FLines);
    inherited::Destroy();
  }
  TStringList* GetLines() const { return FLines; }

 private:
  TStringList* FLines;
};

// The lines go into the form file as "Strings", a list of texts; an empty
// list, or one equal to the ancestor's, is left out.
TEST(TFilerStrings, ListsAreWrittenAsStringsWhenTheyHaveLinesOrDifferFromTheAncestor)
{
  auto make = [](std::initializer_list<const wchar_t*> ALines) {
    TOwnedPtr<TFilerNotes> notes(New<TFilerNotes>(nullptr));
    notes->SetName(L"Notes");
    for (const wchar_t* line : ALines)
      notes->GetLines()->Add(line);
    return notes;
  };
  auto textOf = [](TFilerNotes* ANotes, TFilerNotes* AAncestor) {
    TOwnedPtr<TBytesStream> written(New<TBytesStream>());
    WriteDescendent(written.get(), ANotes, AAncestor);
    return BinaryToText(StreamBytes(written.get()));
  };
  TOwnedPtr<TFilerNotes> empty = make({});
  TOwnedPtr<TFilerNotes> two = make({L"one", L"it's"});
  TOwnedPtr<TFilerNotes> same = make({L"one", L"it's"});
  TOwnedPtr<TFilerNotes> other = make({L"one"});
  const std::string twoText =
      "object Notes: TFilerNotes\r\n  Lines.Strings = (\r\n    'one'\r\n    'it''s')\r\nend\r\n";
  struct Case {
    const char* Name;
    TFilerNotes* Notes;
    TFilerNotes* Ancestor;
    std::string Expected;
  };
  const Case cases[] = {
      {"empty", empty.get(), nullptr, "object Notes: TFilerNotes\r\nend\r\n"},
      {"two lines", two.get(), nullptr, twoText},
      {"as the ancestor", two.get(), same.get(), "inherited Notes: TFilerNotes\r\nend\r\n"},
      {"emptied under an ancestor", empty.get(), other.get(),
       "inherited Notes: TFilerNotes\r\n  Lines.Strings = ()\r\nend\r\n"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(textOf(c.Notes, c.Ancestor), c.Expected) << c.Name;

  // Read back over lines already there: the list is replaced.
  TOwnedPtr<TBytesStream> binary = StreamOf(TextToBinary(twoText));
  ReadComponent(binary.get(), other.get());
  EXPECT_EQ(other->GetLines()->GetText(), L"one\r\nit's\r\n");
}

class TFilerComponents : public ::testing::Test {
 protected:
  void SetUp() override
  {
    RegisterClasses({TPersistentClass::Of<TFilerForm>(), TPersistentClass::Of<TFilerButton>(),
                     TPersistentClass::Of<TFilerReusedButton>()});
  }
};

TEST_F(TFilerComponents, AFormTextBecomesObjectsAndBackTheSameText)
{
  TOwnedPtr<TBytesStream> binary = StreamOf(TextToBinary(FormText));
  TOwnedPtr<TFilerForm> form(As<TFilerForm>(ReadComponent(binary.get(), nullptr)));

  EXPECT_EQ(form->GetName(), L"Form1");
  EXPECT_EQ(form->FCaption, L"Hello\r\nworld \u0414\u0430");
  EXPECT_EQ(form->FKinds, (TFilerShapeKinds{TFilerShapeKind::skCircle, TFilerShapeKind::skTriangle}));
  ASSERT_EQ(form->GetComponentCount(), 2);
  auto* button1 = As<TFilerButton>(form->GetComponents(0));
  auto* button2 = As<TFilerButton>(form->GetComponents(1));
  EXPECT_EQ(button1->GetName(), L"Button1");
  EXPECT_EQ(button1->GetTag(), 7);
  EXPECT_EQ(button1->FScale, 1.5);
  EXPECT_EQ(button2->FCaption, L"Two");
  // References to a later component and to the root, by name.
  EXPECT_EQ(form->FTarget, button2);
  EXPECT_EQ(button1->FLink, button2);
  // Events bound by name to the form's published method.
  EXPECT_EQ(button1->FOnClick, TNotifyEvent::Bind<&TFilerForm::Button1Click>(form.get()));
  EXPECT_EQ(form->FOnNotify, TNotifyEvent::Bind<&TFilerForm::Button1Click>(form.get()));
  ASSERT_EQ(form->GetItems()->GetCount(), 2);
  EXPECT_EQ(As<TFilerItem>(form->GetItems()->GetItems(1))->FTitle, L"it's second");

  // Created while loading; Loaded once each, root first, after the fix-ups.
  EXPECT_TRUE(button1->FLoadingInCreate);
  EXPECT_EQ(form->FLoadedLog, (std::vector<String>{L"Form1", L"Button1", L"Button2"}));
  for (TFilerComponent* component : {static_cast<TFilerComponent*>(form.get()), static_cast<TFilerComponent*>(button1),
                                     static_cast<TFilerComponent*>(button2)}) {
    EXPECT_EQ(component->FLoadedCount, 1) << component->GetName();
    EXPECT_TRUE(component->FReferenceSetInLoaded) << component->GetName();
    EXPECT_FALSE(component->GetComponentState().Contains(csLoading)) << component->GetName();
    EXPECT_FALSE(component->GetComponentState().Contains(csReading)) << component->GetName();
  }

  // Written again, the form gives the same text.
  TOwnedPtr<TBytesStream> written(New<TBytesStream>());
  WriteComponent(written.get(), form.get());
  EXPECT_EQ(BinaryToText(StreamBytes(written.get())), FormText);
}

// A full disk: every write is refused.
class TFilerFullDisk : public TStream {
  RTL_CLASS(TFilerFullDisk, TStream)

 public:
  int Read(void*, int) override { return 0; }
  int Write(const void*, int) override { return 0; }
  std::int64_t Seek(std::int64_t, TSeekOrigin) override { return 0; }
};

// Counts the writers whose memory went back.
class TFilerCountedWriter : public TWriter {
  RTL_CLASS(TFilerCountedWriter, TWriter)

 public:
  static int& Freed()
  {
    static int count = 0;
    return count;
  }
  void FreeInstance() override
  {
    ++Freed();
    inherited::FreeInstance();
  }
};

// The messages the run-time's reporting hook was handed, while it lives.
class TFilerReports {
 public:
  TFilerReports() : FSaved(GetApplicationHandleException())
  {
    SetApplicationHandleException(TNotifyEvent::Bind<&TFilerReports::Handle>(this));
  }
  ~TFilerReports() { SetApplicationHandleException(FSaved); }
  TFilerReports(const TFilerReports&) = delete;
  TFilerReports& operator=(const TFilerReports&) = delete;

  void Handle(TObject*)
  {
    try {
      throw;
    } catch (const Exception& E) {
      Messages.push_back(String(E.ClassName()) + L": " + E.Message());
    }
  }

  std::vector<String> Messages;

 private:
  TNotifyEvent FSaved;
};

// A small form fits the writer's buffer whole, so its every byte reached the
// stream only from the writer's Destroy, where an exception ends the
// program. The writing call flushes and raises itself.
TEST_F(TFilerComponents, AStreamThatRefusesTheBytesFailsTheCallThatWrote)
{
  TOwnedPtr<TBytesStream> binary = StreamOf(TextToBinary(FormText));
  TOwnedPtr<TFilerForm> form(As<TFilerForm>(ReadComponent(binary.get(), nullptr)));
  TOwnedPtr<TFilerFullDisk> disk(New<TFilerFullDisk>());
  const struct {
    const char* Name;
    std::function<void()> Write;
  } cases[] = {
      {"WriteComponent", [&] { WriteComponent(disk.get(), form.get()); }},
      {"WriteDescendent", [&] { WriteDescendent(disk.get(), form.get(), form.get()); }},
      {"the writer's WriteRootComponent",
       [&] {
         TOwnedPtr<TWriter> writer(New<TWriter>(disk.get(), 4096));
         writer->WriteRootComponent(form.get());
       }},
      {"the writer's FlushBuffer",
       [&] {
         TOwnedPtr<TWriter> writer(New<TWriter>(disk.get(), 4096));
         writer->WriteInteger(1);
         writer->FlushBuffer();
       }},
      {"ObjectTextToBinary",
       [&] {
         TOwnedPtr<TBytesStream> text = TextStream(FormText);
         ObjectTextToBinary(text.get(), disk.get());
       }},
  };
  for (const auto& c : cases) {
    TFilerReports reports;
    EXPECT_EQ(ErrorText<EWriteError>(c.Write), L"Stream write error") << c.Name;
    EXPECT_EQ(reports.Messages, std::vector<String>{}) << c.Name << ": the refused bytes are not tried again";
  }
}

// Nobody is left to hear of bytes a dropped writer could not write: Destroy
// reports them, raises nothing and the writer still goes.
TEST(TWriter, AWriterDroppedWithBytesTheStreamRefusesReportsThem)
{
  TOwnedPtr<TFilerFullDisk> disk(New<TFilerFullDisk>());
  const struct {
    const char* Name;
    bool Pending;
    std::vector<String> Reports;
  } cases[] = {
      {"nothing pending", false, {}},
      {"bytes pending", true, {L"EWriteError: Stream write error"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TFilerReports reports;
    TFilerCountedWriter::Freed() = 0;
    TWriter* writer = New<TFilerCountedWriter>(disk.get(), 4096);
    if (c.Pending)
      writer->WriteInteger(1);
    EXPECT_NO_THROW(Free(writer));
    EXPECT_EQ(reports.Messages, c.Reports);
    EXPECT_EQ(TFilerCountedWriter::Freed(), 1);
  }
}

TEST_F(TFilerComponents, ReadsIntoAGivenRoot)
{
  TOwnedPtr<TFilerForm> form(New<TFilerForm>(nullptr));
  TOwnedPtr<TBytesStream> binary = StreamOf(TextToBinary(FormText));
  EXPECT_EQ(ReadComponent(binary.get(), form.get()), form.get());
  EXPECT_EQ(form->GetComponentCount(), 2);
  EXPECT_EQ(binary->GetPosition(), binary->GetSize());
}

TEST_F(TFilerComponents, AFailedReadFreesWhatItCreated)
{
  std::string text = FormText;
  text.replace(text.find("Caption = 'Two'"), 15, "Height = 5");
  TOwnedPtr<TBytesStream> binary = StreamOf(TextToBinary(text));
  EXPECT_EQ(ErrorText<EReadError>([&] { ReadComponent(binary.get(), nullptr); }), L"Property Height does not exist");

  TOwnedPtr<TBytesStream> unknown = StreamOf(TextToBinary("object X: TNoSuchForm\r\nend\r\n"));
  EXPECT_EQ(ErrorText<EClassNotFound>([&] { ReadComponent(unknown.get(), nullptr); }),
            L"Class TNoSuchForm not found");
}

TEST_F(TFilerComponents, LoadedFollowsTheOrderTheComponentsWereRead)
{
  // A component's children come before it: it is done when they are.
  std::string text = FormText;
  text.insert(text.find("  end\r\n  object Button2"), "    object Inner: TFilerButton\r\n    end\r\n");
  TOwnedPtr<TBytesStream> binary = StreamOf(TextToBinary(text));
  TOwnedPtr<TFilerForm> form(As<TFilerForm>(ReadComponent(binary.get(), nullptr)));
  EXPECT_EQ(form->FLoadedLog, (std::vector<String>{L"Form1", L"Inner", L"Button1", L"Button2"}));
  // Children without an owner of their own belong to the root.
  EXPECT_EQ(As<TFilerButton>(form->FindComponent(L"Inner"))->GetOwner(), form.get());
}

TEST_F(TFilerComponents, AComponentFreedByAnEarlierLoadedIsNotCalledAfter)
{
  TOwnedPtr<TFilerForm> form(New<TFilerForm>(nullptr));
  form->FFreeInLoaded = L"Button1";
  std::string text = FormText;
  text.replace(text.find("Button1: TFilerButton"), 21, "Button1: TFilerReusedButton");
  TOwnedPtr<TBytesStream> binary = StreamOf(TextToBinary(text));
  ReadComponent(binary.get(), form.get());
  EXPECT_EQ(form->FLoadedLog, (std::vector<String>{L"Form1", L"Button2"}));
  EXPECT_EQ(form->GetComponentCount(), 2);
  EXPECT_EQ(form->FindComponent(L"Button1"), nullptr);
}

TEST_F(TFilerComponents, ADescendantStoresOnlyWhatDiffersFromItsAncestor)
{
  TOwnedPtr<TBytesStream> binary = StreamOf(TextToBinary(FormText));
  TOwnedPtr<TFilerForm> ancestor(As<TFilerForm>(ReadComponent(binary.get(), nullptr)));
  binary->SetPosition(0);
  TOwnedPtr<TFilerForm> form(As<TFilerForm>(ReadComponent(binary.get(), nullptr)));
  As<TFilerButton>(form->FindComponent(L"Button2"))->FCaption = L"Changed";

  TOwnedPtr<TBytesStream> written(New<TBytesStream>());
  WriteDescendent(written.get(), form.get(), ancestor.get());
  const std::string expected =
      "inherited Form1: TFilerForm\r\n"
      "  inherited Button1: TFilerButton\r\n"
      "  end\r\n"
      "  inherited Button2: TFilerButton\r\n"
      "    Caption = 'Changed'\r\n"
      "  end\r\n"
      "end\r\n";
  EXPECT_EQ(BinaryToText(StreamBytes(written.get())), expected);

  // Read over a form made from the ancestor, as an inherited form is: the
  // inherited components are found by name and changed.
  binary->SetPosition(0);
  TOwnedPtr<TFilerForm> inherited(As<TFilerForm>(ReadComponent(binary.get(), nullptr)));
  written->SetPosition(0);
  ReadComponent(written.get(), inherited.get());
  EXPECT_EQ(inherited->GetComponentCount(), 2);
  EXPECT_EQ(As<TFilerButton>(inherited->FindComponent(L"Button2"))->FCaption, L"Changed");
}

TEST_F(TFilerComponents, AnEventNamingNoPublishedMethodRaises)
{
  std::string text = FormText;
  text.replace(text.find("OnClick = Button1Click"), 22, "OnClick = Button9Click");
  TOwnedPtr<TBytesStream> binary = StreamOf(TextToBinary(text));
  EXPECT_EQ(ErrorText<EReadError>([&] { ReadComponent(binary.get(), nullptr); }), L"Method Button9Click not found");
}

TEST(ObjectText, ConvertsEveryValueForm)
{
  // The text of each value type survives text -> binary -> text.
  const std::string text =
      "inherited Form1: TForm1\r\n"
      "  Int = -40000\r\n"
      "  Big = 5000000000\r\n"
      "  Float = 0.25\r\n"
      "  Single = 2.5s\r\n"
      "  Price = 12.5c\r\n"
      "  When = 45000.5d\r\n"
      "  Flag = False\r\n"
      "  Nothing = nil\r\n"
      "  Kinds = []\r\n"
      "  List = (\r\n"
      "    1\r\n"
      "    'two'\r\n"
      "    (\r\n"
      "      three))\r\n"
      "  Data = {\r\n"
      "    00FF10}\r\n"
      "  Long = \r\n"
      "    '0123456789012345678901234567890123456789012345678901234567890123' +\r\n"
      "    'tail'\r\n"
      "  Empty = <>\r\n"
      "  object Child: TChild [2]\r\n"
      "  end\r\n"
      "end\r\n";
  std::string expected = text;
  // A long text starts on the property's line.
  expected.replace(expected.find("Long = \r\n    "), 13, "Long = ");
  EXPECT_EQ(BinaryToText(TextToBinary(text)), expected);

  // Writer details the text does not show: the smallest integer forms, the
  // child position and the inherited flag.
  const TByteList bytes = TextToBinary("inline A: TB [3]\r\n  X = $10\r\nend\r\n");
  EXPECT_EQ(bytes, Concat(Concat(Ascii("TPF0"), Bytes({0xF6, 0x02, 3, 2, 'T', 'B', 1, 'A', 1, 'X', 0x02, 0x10})),
                          Bytes({0, 0})));
}

TEST(ObjectText, ReportsErrorsWithTheLine)
{
  struct TCase {
    const char* Text;
    String Message;
  } cases[] = {
      {"thing A: TB\r\nend", L"'object' expected on line 1"},
      {"object A: TB\r\n  X = \r\n", L"Invalid property value on line 3"},
      {"object A: TB\r\n  X 5\r\nend", L"'=' expected on line 2"},
      {"object A: TB\r\n  X = 'open\r\nend", L"Unterminated string on line 2"},
      {"object A: TB\r\n  X = {0F1}\r\nend", L"Invalid binary value on line 2"},
      {"object A: TB\r\n  X = [a b]\r\nend", L"']' expected on line 2"},
      {"object A: TB\r\n  X = <\r\n  foo>\r\nend", L"'item' expected on line 3"},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(ErrorText<EParserError>([&] { TextToBinary(c.Text); }), c.Message) << c.Text;
}

TEST(ReadComponentRes, AMissingResourceRaises)
{
  EXPECT_THROW(ReadComponentRes(L"TNoSuchForm", nullptr), EResNotFound);
}

TEST_F(TFilerComponents, ACollectionStoredTwiceDropsTheReferencesOfItsFormerItems)
{
  // The second value clears the collection: the first one's items are gone
  // and the references they were waiting for must not be set into freed
  // memory (or into the new items that took their place).
  const char text[] =
      "object Form1: TFilerForm\r\n"
      "  Items = <\r\n"
      "    item\r\n"
      "      Link = Button2\r\n"
      "    end>\r\n"
      "  Items = <\r\n"
      "    item\r\n"
      "      Title = 'again'\r\n"
      "    end>\r\n"
      "  object Button2: TFilerButton\r\n"
      "  end\r\n"
      "end\r\n";
  TOwnedPtr<TBytesStream> binary = StreamOf(TextToBinary(text));
  TOwnedPtr<TFilerForm> form(As<TFilerForm>(ReadComponent(binary.get(), nullptr)));
  ASSERT_EQ(form->GetItems()->GetCount(), 1);
  auto* item = As<TFilerItem>(form->GetItems()->GetItems(0));
  EXPECT_EQ(item->FTitle, L"again");
  EXPECT_EQ(item->FLink, nullptr);
}

// A stream or text nested far deeper than any form raises instead of
// running the stack out.
TEST_F(TFilerComponents, DeepNestingRaisesInsteadOfOverflowingTheStack)
{
  constexpr int Depth = 1000000;
  const TByteList header = Concat(Ascii("TPF0"), Concat(Bytes({10}), Ascii("TFilerForm")));
  const TByteList lists = Concat(Concat(header, Bytes({1, 'F', 1, 'X'})), TByteList(Depth, 0x01));
  TByteList objects = Concat(header, Bytes({1, 'F', 0}));
  for (int i = 0; i < Depth / 20; ++i)
    objects = Concat(std::move(objects), Concat(Concat(Bytes({12}), Ascii("TFilerButton")), Bytes({0, 0})));
  // Items of items: each level the collection marker, a list begin and the
  // property name.
  TByteList items = Concat(header, Bytes({1, 'F'}));
  for (int i = 0; i < Depth / 20; ++i) {
    const TByteList name = i == 0 ? Concat(Bytes({4}), Ascii("Tree")) : Concat(Bytes({8}), Ascii("Children"));
    items = Concat(std::move(items), Concat(name, Bytes({0x0E, 0x01})));
  }
  std::string textLists = "object A: TB\r\n  X = " + std::string(Depth, '(');
  std::string textObjects;
  for (int i = 0; i < Depth / 20; ++i)
    textObjects += "object A: TB ";

  struct TCase {
    const char* Name;
    std::function<void()> Action;
    String Message;
  } readCases[] = {
      {"skipped lists",
       [] {
         TOwnedPtr<TBytesStream> stream = StreamOf(TByteList(Depth, 0x01));
         TOwnedPtr<TReader> reader(New<TReader>(stream.get(), 4096));
         reader->SkipValue();
       },
       L"Values nested too deeply"},
      {"lists to text", [&] { BinaryToText(lists); }, L"Values nested too deeply"},
      {"objects to text", [&] { BinaryToText(objects); }, L"Values nested too deeply"},
      {"objects read",
       [&] {
         TOwnedPtr<TBytesStream> stream = StreamOf(objects);
         ReadComponent(stream.get(), nullptr);
       },
       L"Values nested too deeply"},
      {"items read",
       [&] {
         TOwnedPtr<TBytesStream> stream = StreamOf(items);
         ReadComponent(stream.get(), nullptr);
       },
       L"Values nested too deeply"},
  }, textCases[] = {
      {"text lists", [&] { TextToBinary(textLists); }, L"Values nested too deeply on line 2"},
      {"text objects", [&] { TextToBinary(textObjects); }, L"Values nested too deeply on line 1"},
  };
  for (const TCase& c : readCases)
    EXPECT_EQ(ErrorText<EReadError>(c.Action), c.Message) << c.Name;
  for (const TCase& c : textCases)
    EXPECT_EQ(ErrorText<EParserError>(c.Action), c.Message) << c.Name;

  // A hundred levels, far more than real forms use, still convert.
  const std::string nested = "object A: TB\r\n  X = " + std::string(100, '(') + std::string(100, ')') + "\r\nend\r\n";
  EXPECT_NO_THROW(BinaryToText(TextToBinary(nested)));
}

TEST(ObjectText, NumbersSurviveBinaryToTextAndBack)
{
  // Written by a program, turned into text and back: the same value in the
  // precision its property has (a float property holds a double).
  struct TCase {
    const char* Name;
    std::function<void(TWriter*)> Write;
    Variant Expected;
  } cases[] = {
      {"double 0.1", [](TWriter* W) { W->WriteFloat(0.1); }, Variant(0.1)},
      {"double third", [](TWriter* W) { W->WriteFloat(1.0 / 3); }, Variant(1.0 / 3)},
      {"double large", [](TWriter* W) { W->WriteFloat(1.7976931348623157e308); }, Variant(1.7976931348623157e308)},
      {"double tiny", [](TWriter* W) { W->WriteFloat(4.9406564584124654e-324); }, Variant(4.9406564584124654e-324)},
      {"double negative", [](TWriter* W) { W->WriteFloat(-123456789.123456789); }, Variant(-123456789.123456789)},
      {"single", [](TWriter* W) { W->WriteSingle(1.0f / 3); }, Variant::FromSingle(1.0f / 3)},
      {"currency max", [](TWriter* W) { W->WriteCurrency(Currency::FromRaw(INT64_MAX)); },
       Variant(Currency::FromRaw(INT64_MAX))},
      {"currency min", [](TWriter* W) { W->WriteCurrency(Currency::FromRaw(INT64_MIN)); },
       Variant(Currency::FromRaw(INT64_MIN))},
      {"date", [](TWriter* W) { W->WriteDate(45000.123456789); }, Variant::FromDate(45000.123456789)},
      {"int64 min", [](TWriter* W) { W->WriteInteger(INT64_MIN); }, Variant(INT64_MIN)},
  };
  for (const TCase& c : cases) {
    const TByteList bytes = Written([&](TWriter* W) {
      W->WriteSignature();
      W->WriteStr(L"TA");
      W->WriteStr(L"A");
      W->WritePropName(L"X");
      c.Write(W);
      W->WriteListEnd();
      W->WriteListEnd();
    });
    TOwnedPtr<TBytesStream> stream = StreamOf(TextToBinary(BinaryToText(bytes)));
    TOwnedPtr<TReader> reader(New<TReader>(stream.get(), 4096));
    reader->ReadSignature();
    reader->ReadStr();
    reader->ReadStr();
    EXPECT_EQ(reader->ReadStr(), L"X") << c.Name;
    EXPECT_EQ(reader->ReadVariant(), c.Expected) << c.Name << ": " << BinaryToText(bytes);
  }
}

TEST(ObjectText, RefusesMalformedValues)
{
  struct TCase {
    std::string Text;
    String Message;
  } cases[] = {
      // Full-width letters are no hex digits.
      {"object A: TB\r\n  X = {\xEF\xBC\xA1\xEF\xBC\xA1}\r\nend", L"Invalid binary value on line 2"},
      {"object A: TB\r\n  X = 1e300c\r\nend", L"Invalid number 1e300 on line 2"},
      {"object A: TB\r\n  X = {00", L"'}' expected on line 2"},
      {"object A: TB\r\n  X = (1\r\n", L"')' expected on line 3"},
      {"object A: TB\r\n  X = <item\r\n", L"'end' expected on line 3"},
      {"object A: TB\r\n  X = 'a' +\r\n", L"String expected on line 3"},
      {"object A: TB\r\n  X = #\r\nend", L"Invalid character code on line 2"},
      {"object A: TB\r\n  X = #65536\r\nend", L"Invalid character code on line 2"},
      {"object A: TB\r\n  " + std::string(256, 'X') + " = 1\r\nend", L"Identifier too long on line 2"},
      // Child positions and item indexes are 32-bit.
      {"object A: TB [4294967296]\r\nend", L"Invalid integer 4294967296 on line 1"},
      {"object A: TB\r\n  X = <item [-2147483649] end>\r\nend", L"Invalid integer -2147483649 on line 2"},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(ErrorText<EParserError>([&] { TextToBinary(c.Text); }), c.Message) << c.Text;
}

// ---------------------------------------------------------------------------
// What the text form cannot carry raises; what it writes reads back

TByteList OneValue(const std::function<void(TWriter*)>& AWrite)
{
  return Written([&](TWriter* W) {
    W->WriteSignature();
    W->WriteStr(L"TA");
    W->WriteStr(L"A");
    W->WritePropName(L"X");
    AWrite(W);
    W->WriteListEnd();
    W->WriteListEnd();
  });
}

TEST(ObjectText, ValuesTheTextCannotCarryRaiseInsteadOfChanging)
{
  for (const char* file : {"fbin-ident-with-nul.bin", "fbin-single-nan-retyped-as-ident.bin",
                           "fbin-extended-inf-text-unreadable.bin", "fbin-date-neginf-text-unreadable.bin"}) {
    const TByteList bytes = kvtest::ReadFixture(std::string(KV_FIXTURES_DIR "/") + file);
    ASSERT_FALSE(bytes.empty()) << file;
    EXPECT_THROW(BinaryToText(bytes), EReadError) << file;
  }
  const std::function<void(TWriter*)> refused[] = {
      [](TWriter* W) { W->WriteFloat(std::numeric_limits<Extended>::quiet_NaN()); },
      [](TWriter* W) { W->WriteSingle(-std::numeric_limits<float>::infinity()); },
      [](TWriter* W) { W->WriteDate(std::numeric_limits<double>::infinity()); },
      // An identifier spelled like a constant would come back as the constant.
      [](TWriter* W) {
        W->WriteValue(vaIdent);
        W->WriteStr(L"True");
      },
      [](TWriter* W) { W->WriteIdent(L"a b"); },
      [](TWriter* W) { W->WriteIdent(L"9lives"); },
  };
  for (const auto& write : refused)
    EXPECT_THROW(BinaryToText(OneValue(write)), EReadError);
  // A property named like a keyword would end the object.
  const TByteList keyword = Written([](TWriter* W) {
    W->WriteSignature();
    W->WriteStr(L"TA");
    W->WriteStr(L"A");
    W->WritePropName(L"end");
    W->WriteInteger(1);
    W->WriteListEnd();
    W->WriteListEnd();
  });
  EXPECT_THROW(BinaryToText(keyword), EReadError);
}

TEST(ObjectText, FloatsComeBackToTheSameBits)
{
  const std::function<void(TWriter*)> values[] = {
      [](TWriter* W) { W->WriteFloat(-0.0L); },
      [](TWriter* W) { W->WriteSingle(-0.0f); },
      [](TWriter* W) { W->WriteDate(-0.0); },
      [](TWriter* W) { W->WriteFloat(std::numeric_limits<Extended>::max()); },
      [](TWriter* W) { W->WriteFloat(std::numeric_limits<Extended>::denorm_min()); },
      [](TWriter* W) { W->WriteFloat(1.0L / 3); },
      [](TWriter* W) { W->WriteFloat(0.1L); },
      [](TWriter* W) { W->WriteSingle(std::numeric_limits<float>::denorm_min()); },
  };
  for (const auto& write : values) {
    const TByteList bytes = OneValue(write);
    EXPECT_EQ(TextToBinary(BinaryToText(bytes)), bytes) << BinaryToText(bytes);
  }
  // Twenty significant digits, more than eighteen show.
  const TByteList file = kvtest::ReadFixture(KV_FIXTURES_DIR "/ftext-extended-20-digits-not-roundtrip.txt");
  const TByteList bytes = TextToBinary(std::string(file.begin(), file.end()));
  EXPECT_EQ(TextToBinary(BinaryToText(bytes)), bytes);
  EXPECT_NE(BinaryToText(OneValue([](TWriter* W) { W->WriteFloat(0.1L); })).find("X = 0.1\r\n"), std::string::npos)
      << "no more digits than it takes";
}

TEST(ObjectText, MutatedStreamsAndTextsConvertBothWaysOrRaise)
{
  const std::string text =
      "inherited Form1: TForm1 [1]\r\n  Int = -40000\r\n  Float = 0.25\r\n  Single = 2.5s\r\n"
      "  Price = 12.5c\r\n  When = 45000.5d\r\n  Flag = False\r\n  Kind = akLeft\r\n  Kinds = [a, b]\r\n"
      "  List = (\r\n    1\r\n    'two'#1)\r\n  Data = {\r\n    00FF10}\r\n"
      "  Items = <\r\n    item [2]\r\n      Name = 'x'\r\n    end>\r\n"
      "  object Child: TChild\r\n    Font.Name = 'Arial'\r\n  end\r\nend\r\n";
  const TByteList binary = TextToBinary(text);
  kvtest::TTestMutator mutator(41);
  for (int i = 0; i < 2500; ++i) {
    // A damaged stream: the text it gives reads back to a stream that gives
    // the same text.
    std::string converted;
    try {
      converted = BinaryToText(mutator.Mutate(binary));
    } catch (const Exception&) {
      converted.clear();
    }
    if (!converted.empty()) {
      ASSERT_EQ(BinaryToText(TextToBinary(converted)), converted) << i;
    }
    // A damaged text: the stream it gives comes back the same.
    const kvtest::TTestBytes damaged = mutator.Mutate(TByteList(text.begin(), text.end()));
    TByteList parsed;
    try {
      parsed = TextToBinary(std::string(damaged.begin(), damaged.end()));
      ASSERT_EQ(TextToBinary(BinaryToText(parsed)), parsed) << i;
    } catch (const Exception&) {
    }
  }
}

}  // namespace filer_test
