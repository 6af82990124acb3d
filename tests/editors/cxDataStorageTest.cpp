// The value types: their table of sizes, variant types and captions, a value
// through a cell and back (variant, display text, stream), the order of two
// cells, damaged stream data, and the register filled at start-up.
#include "editors/cxDataStorage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/cxDateUtils.h"
#include "editors/cxVariants.h"
#include "platform/rtl/ClassesStreams.h"

namespace {

using rtl::Variant;

// A zeroed cell of a value type, freed through the type when it goes.
class TcxDataStorageTestCell {
 public:
  explicit TcxDataStorageTestCell(TcxValueTypeClass AType)
      : FType(AType), FBuffer(static_cast<std::size_t>(std::max(AType->CellSize(), 4)), 0)
  {
  }
  ~TcxDataStorageTestCell() { FType->FreeCell(FBuffer.data()); }
  TcxDataStorageTestCell(const TcxDataStorageTestCell&) = delete;
  TcxDataStorageTestCell& operator=(const TcxDataStorageTestCell&) = delete;

  void* Data() { return FBuffer.data(); }
  const std::vector<std::uint8_t>& Bytes() const { return FBuffer; }
  Variant Value() const
  {
    Variant value;
    FType->CellToVariant(FBuffer.data(), value);
    return value;
  }

 private:
  TcxValueTypeClass FType;
  std::vector<std::uint8_t> FBuffer;
};

// A text cell, freed when it goes.
class TcxDataStorageTestTextCell {
 public:
  ~TcxDataStorageTestTextCell() { TcxValueType::Class()->FreeTextCell(&FPointer); }
  void* Data() { return &FPointer; }

 private:
  void* FPointer = nullptr;
};

std::vector<std::uint8_t> StreamBytes(rtl::TBytesStream* AStream)
{
  const auto& bytes = AStream->GetBytes();
  return {bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(AStream->GetSize())};
}

struct TcxDataStorageTestCase {
  const char* Name;
  TcxValueTypeClass Type;
  int CellSize;
  rtl::TVarType VarType;
  bool IsString;
  const wchar_t* Caption;
  Variant Low;
  Variant High;
  const wchar_t* LowText;
  // The bytes WriteCell gives for Low.
  int StreamSize;
};

std::vector<TcxDataStorageTestCase> ValueTypeCases()
{
  const rtl::TDateTime date = cxEncodeDate(2024, 2, 29) + cxEncodeTime(13, 45, 10, 0);
  return {
      {"String", TcxStringValueType::Class(), 4, rtl::varUString, true, L"String", Variant(L"abc"), Variant(L"abd"),
       L"abc", 4 + 6},
      {"WideString", TcxWideStringValueType::Class(), 4, rtl::varOleStr, true, L"WideString",
       Variant::FromOleStr(L"B"), Variant::FromOleStr(L"a"), L"B", 4 + 2},
      {"Smallint", TcxSmallintValueType::Class(), 2, rtl::varSmallint, false, L"Smallint",
       Variant::FromSmallint(-300), Variant::FromSmallint(7), L"-300", 2},
      {"Integer", TcxIntegerValueType::Class(), 4, rtl::varInteger, false, L"Integer", Variant(-70000),
       Variant(70000), L"-70000", 4},
      {"Word", TcxWordValueType::Class(), 2, rtl::varWord, false, L"Word", Variant::FromWord(1),
       Variant::FromWord(65535), L"1", 2},
      {"Boolean", TcxBooleanValueType::Class(), 1, rtl::varBoolean, false, L"Boolean", Variant(false), Variant(true),
       L"False", 1},
      {"Single", TcxSingleValueType::Class(), 4, rtl::varSingle, false, L"Single", Variant(1.5), Variant(2.25),
       L"1.5", 4},
      {"Float", TcxFloatValueType::Class(), 8, rtl::varDouble, false, L"Float", Variant(0.1), Variant(1e300),
       L"0.1", 10},
      {"Currency", TcxCurrencyValueType::Class(), 8, rtl::varCurrency, false, L"Currency",
       Variant(rtl::Currency::FromRaw(-12345)), Variant(rtl::Currency::FromRaw(5)), L"-1.2345", 8},
      {"DateTime", TcxDateTimeValueType::Class(), 8, rtl::varDate, false, L"DateTime", Variant::FromDate(date),
       Variant::FromDate(date + 1), L"2024-02-29 13:45:10", 8},
      {"LargeInt", TcxLargeIntValueType::Class(), 8, rtl::varInt64, false, L"LargeInt",
       Variant(std::int64_t{-5000000000}), Variant(std::int64_t{5000000000}), L"-5000000000", 8},
      {"SQLTimeStamp", TcxSQLTimeStampValueType::Class(), 16, rtl::varDate, false, L"SQLTimeStamp",
       Variant::FromDate(date), Variant::FromDate(date + 1.0 / 24), L"2024-02-29 13:45:10", 1 + 8},
      {"Variant", TcxVariantValueType::Class(), 4, rtl::varVariant, false, L"Variant", Variant(3), Variant(4),
       L"3", 2},
      {"BLOB", TcxBLOBValueType::Class(), 4, rtl::varString, true, L"BLOB",
       Variant::FromAnsiString(rtl::AnsiString("\x01\x80")), Variant::FromAnsiString(rtl::AnsiString("\x02")),
       L"", 4 + 2},
  };
}

TEST(cxValueTypeTest, DescribesItsCellAndVariant)
{
  for (const TcxDataStorageTestCase& c : ValueTypeCases()) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(c.Type->CellSize(), c.CellSize);
    EXPECT_EQ(c.Type->GetVarType(), c.VarType);
    EXPECT_EQ(c.Type->IsString(), c.IsString);
    EXPECT_EQ(c.Type->Caption(), c.Caption);
    EXPECT_EQ(cxValueTypeClassListInstance()->ItemByCaption(c.Caption), c.Type);
  }
  EXPECT_EQ(TcxObjectValueType::Class()->Caption(), L"Object");
  EXPECT_EQ(TcxObjectValueType::Class()->CellSize(), 4);
  EXPECT_TRUE(TcxObjectValueType::Class()->InheritsFrom(TcxIntegerValueType::Class()));
  EXPECT_TRUE(TcxWideStringValueType::Class()->InheritsFrom(TcxStringValueType::Class()));
  EXPECT_FALSE(TcxStringValueType::Class()->InheritsFrom(TcxWideStringValueType::Class()));
}

TEST(cxValueTypeTest, ValueGoesThroughCellVariantTextAndStream)
{
  for (const TcxDataStorageTestCase& c : ValueTypeCases()) {
    SCOPED_TRACE(c.Name);
    TcxDataStorageTestCell cell(c.Type);
    c.Type->VariantToCell(cell.Data(), c.Low);
    EXPECT_TRUE(cxVarIsEqual(cell.Value(), c.Low));
    if (c.Type != TcxBLOBValueType::Class()) {
      EXPECT_EQ(c.Type->CellDisplayText(cell.Data()), c.LowText);
    }

    rtl::TOwnedPtr<rtl::TBytesStream> stream(rtl::New<rtl::TBytesStream>());
    TcxValueTypeStream writer{true, stream.get()};
    c.Type->WriteCell(cell.Data(), writer);
    EXPECT_EQ(stream->GetSize(), c.StreamSize);

    stream->SetPosition(0);
    TcxDataStorageTestCell copy(c.Type);
    c.Type->ReadCell(copy.Data(), writer);
    EXPECT_EQ(stream->GetPosition(), stream->GetSize());
    EXPECT_EQ(c.Type->CompareCells(cell.Data(), copy.Data()), 0);
    EXPECT_TRUE(cxVarIsEqual(copy.Value(), c.Low));
  }
}

TEST(cxValueTypeTest, CellsCompareByTheirValues)
{
  for (const TcxDataStorageTestCase& c : ValueTypeCases()) {
    SCOPED_TRACE(c.Name);
    TcxDataStorageTestCell low(c.Type), high(c.Type);
    c.Type->VariantToCell(low.Data(), c.Low);
    c.Type->VariantToCell(high.Data(), c.High);
    EXPECT_LT(c.Type->CompareCells(low.Data(), high.Data()), 0);
    EXPECT_GT(c.Type->CompareCells(high.Data(), low.Data()), 0);
    EXPECT_EQ(c.Type->CompareCells(low.Data(), low.Data()), 0);
  }
}

TEST(cxValueTypeTest, RefusesDamagedStreamDataAndKeepsTheCell)
{
  for (const TcxDataStorageTestCase& c : ValueTypeCases()) {
    SCOPED_TRACE(c.Name);
    TcxDataStorageTestCell cell(c.Type);
    c.Type->VariantToCell(cell.Data(), c.Low);
    rtl::TOwnedPtr<rtl::TBytesStream> stream(rtl::New<rtl::TBytesStream>());
    TcxValueTypeStream io{true, stream.get()};
    c.Type->WriteCell(cell.Data(), io);
    // One byte short, and a length that claims more than the stream holds.
    std::vector<std::uint8_t> truncated = StreamBytes(stream.get());
    truncated.pop_back();
    std::vector<std::uint8_t> overlong = StreamBytes(stream.get());
    if (c.Type->IsString())
      overlong[3] = 0x7F;
    for (const auto& bytes : {truncated, overlong}) {
      rtl::TOwnedPtr<rtl::TBytesStream> damaged(rtl::New<rtl::TBytesStream>(bytes));
      TcxValueTypeStream reader{true, damaged.get()};
      TcxDataStorageTestCell target(c.Type);
      c.Type->VariantToCell(target.Data(), c.High);
      try {
        c.Type->ReadCell(target.Data(), reader);
        if (&bytes == &truncated || c.Type->IsString())
          ADD_FAILURE() << "damaged data was read";
      } catch (const rtl::EReadError& E) {
        EXPECT_EQ(std::wstring(E.Message()), L"Stream read error");
        EXPECT_TRUE(cxVarIsEqual(target.Value(), c.High)) << "the cell keeps its value";
      }
    }
  }
}

TEST(cxValueTypeTest, TextCellsFollowTheStreamsTextForm)
{
  const struct {
    bool Unicode;
    int Size;
  } cases[] = {{true, 4 + 2 * 3}, {false, 4 + 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Unicode);
    TcxDataStorageTestTextCell cell;
    EXPECT_EQ(TcxValueType::Class()->TextCellText(cell.Data()), L"");
    TcxValueType::Class()->StoreTextInCell(cell.Data(), L"abc");
    rtl::TOwnedPtr<rtl::TBytesStream> stream(rtl::New<rtl::TBytesStream>());
    TcxValueTypeStream io{c.Unicode, stream.get()};
    TcxValueType::Class()->WriteTextCell(cell.Data(), io);
    EXPECT_EQ(stream->GetSize(), c.Size);
    stream->SetPosition(0);
    TcxDataStorageTestTextCell copy;
    TcxValueType::Class()->ReadTextCell(copy.Data(), io);
    EXPECT_EQ(TcxValueType::Class()->TextCellText(copy.Data()), L"abc");
  }
}

TEST(cxValueTypeTest, EdgeCases)
{
  // A nil string sorts before an empty one.
  TcxDataStorageTestCell nilCell(TcxStringValueType::Class()), emptyCell(TcxStringValueType::Class());
  TcxStringValueType::Class()->VariantToCell(emptyCell.Data(), Variant(L""));
  EXPECT_LT(TcxStringValueType::Class()->CompareCells(nilCell.Data(), emptyCell.Data()), 0);
  EXPECT_TRUE(rtl::VarIsNull(nilCell.Value()));

  // IsValueValid converts in place, or refuses and leaves the value.
  Variant twelve(L"12");
  EXPECT_TRUE(TcxIntegerValueType::Class()->IsValueValid(twelve));
  EXPECT_EQ(twelve.VarType(), rtl::varInteger);
  EXPECT_EQ(twelve.AsInteger(), 12);
  Variant x(L"x");
  EXPECT_FALSE(TcxIntegerValueType::Class()->IsValueValid(x));
  EXPECT_EQ(x.VarType(), rtl::varUString);
  Variant null = rtl::Null();
  EXPECT_TRUE(TcxIntegerValueType::Class()->IsValueValid(null));

  // A value a type cannot hold raises, and the base type's display text of
  // such a value is empty.
  TcxDataStorageTestCell small(TcxSmallintValueType::Class());
  EXPECT_THROW(TcxSmallintValueType::Class()->VariantToCell(small.Data(), Variant(40000)), rtl::EVariantError);
  TcxDataStorageTestCell stamp(TcxSQLTimeStampValueType::Class());
  EXPECT_EQ(TcxSQLTimeStampValueType::Class()->CellDisplayText(stamp.Data()), L"") << "month 0 is no date";

  EXPECT_TRUE(cxIsDateTimeValueTypeClass(TcxDateTimeValueType::Class()));
  EXPECT_TRUE(cxIsDateTimeValueTypeClass(TcxSQLTimeStampValueType::Class()));
  EXPECT_FALSE(cxIsDateTimeValueTypeClass(TcxFloatValueType::Class()));
  EXPECT_FALSE(cxIsDateTimeValueTypeClass(nullptr));
}

TEST(cxValueTypeClassListTest, HoldsTheRegisteredTypesByCaption)
{
  TcxValueTypeClassList* list = cxValueTypeClassListInstance();
  ASSERT_EQ(list->Count(), 15);
  EXPECT_EQ(list->GetItem(0), TcxStringValueType::Class());
  EXPECT_EQ(list->GetItem(14), TcxBLOBValueType::Class());
  EXPECT_EQ(list->ItemByCaption(L"Float"), TcxFloatValueType::Class());
  EXPECT_EQ(list->ItemByCaption(L"float"), nullptr);
  EXPECT_THROW(list->GetItem(15), rtl::EListError);

  list->RegisterItem(TcxFloatValueType::Class());
  EXPECT_EQ(list->Count(), 15) << "a class is registered once";
  list->UnregisterItem(TcxValueType::Class());
  EXPECT_EQ(list->Count(), 15);
}

}  // namespace
