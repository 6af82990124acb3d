#include "editors/cxDataStorage.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "core/cxDateUtils.h"
#include "core/dxCore.h"
#include "editors/cxVariants.h"
#include "platform/rtl/SysUtilsFormat.h"

static_assert(sizeof(void*) == 4, "the pointer types keep their pointer in a 4-byte cell");

namespace {

using rtl::Variant;

// Cells lie packed in a record buffer, so they are read and written byte-wise.
template <class T>
T cxDataStorageLoad(const void* ACell)
{
  T value;
  std::memcpy(&value, ACell, sizeof(T));
  return value;
}

template <class T>
void cxDataStorageStore(void* ACell, T AValue)
{
  std::memcpy(ACell, &AValue, sizeof(T));
}

// -1, 0 or 1; values that do not order (a NaN) give -1.
template <class T>
int cxDataStorageSign(T A, T B)
{
  if (A == B)
    return 0;
  return A > B ? 1 : -1;
}

// Nil sorts before any value: the order of two pointers of which at least one
// is nil; 2 when both are set and the values must decide.
constexpr int kBothAssigned = 2;
int cxDataStorageCompareNil(const void* P1, const void* P2)
{
  if (P1 && P2)
    return kBothAssigned;
  return (P1 ? 1 : 0) - (P2 ? 1 : 0);
}

// The wide-string block: an Int32 character count, then the characters.
void* cxDataStorageNewWideBlock(const rtl::String& AText)
{
  const auto count = static_cast<std::int32_t>(AText.size());
  void* block = ::operator new(sizeof(std::int32_t) + AText.size() * sizeof(wchar_t));
  std::memcpy(block, &count, sizeof(count));
  std::memcpy(static_cast<char*>(block) + sizeof(count), AText.data(), AText.size() * sizeof(wchar_t));
  return block;
}

rtl::String cxDataStorageWideBlockText(const void* ABlock)
{
  const auto count = cxDataStorageLoad<std::int32_t>(ABlock);
  rtl::String text(static_cast<std::size_t>(count), L'\0');
  std::memcpy(text.data(), static_cast<const char*>(ABlock) + sizeof(count), text.size() * sizeof(wchar_t));
  return text;
}

TcxSQLTimeStamp cxDataStorageDateTimeToTimeStamp(rtl::TDateTime AValue)
{
  int year, month, day, hour, minute, second, msec;
  cxDecodeDate(AValue, year, month, day);
  cxDecodeTime(AValue, hour, minute, second, msec);
  return {static_cast<std::uint16_t>(year),   static_cast<std::uint16_t>(month),
          static_cast<std::uint16_t>(day),    static_cast<std::uint16_t>(hour),
          static_cast<std::uint16_t>(minute), static_cast<std::uint16_t>(second),
          static_cast<std::uint32_t>(msec)};
}

// A stamp whose fields name no date or time (damaged data) has no variant.
rtl::TDateTime cxDataStorageTimeStampToDateTime(const TcxSQLTimeStamp& AStamp)
{
  rtl::TDateTime date;
  if (!cxTryEncodeDate(AStamp.Year, AStamp.Month, AStamp.Day, date) || AStamp.Hour > 23 || AStamp.Minute > 59 ||
      AStamp.Second > 59 || AStamp.Fractions > 999)
    throw rtl::EVariantError(L"Invalid SQL time stamp");
  return cxComposeDateTime(date, cxEncodeTime(AStamp.Hour, AStamp.Minute, AStamp.Second,
                                              static_cast<int>(AStamp.Fractions)));
}

constinit TcxValueTypeClassList* cxDataStorageValueTypeClassList = nullptr;

}  // namespace

// ---------------------------------------------------------------------------
// TcxValueType

TcxValueTypeClass TcxValueType::Class() noexcept
{
  static constexpr TcxValueType instance{};
  return &instance;
}

bool TcxValueType::InheritsFrom(TcxValueTypeClass AClass) const
{
  for (TcxValueTypeClass current = this; current; current = current->ClassParent())
    if (current == AClass)
      return true;
  return false;
}

int TcxValueType::CompareCells(const void* P1, const void* P2) const
{
  return CompareValues(PrepareValueBuffer(P1), PrepareValueBuffer(P2));
}

void TcxValueType::FreeTextCell(void* ATextCell) const
{
  delete cxDataStorageLoad<rtl::String*>(ATextCell);
  cxDataStorageStore<rtl::String*>(ATextCell, nullptr);
}

void TcxValueType::CellToVariant(const void* /*ACell*/, Variant& Value) const
{
  Value = rtl::Null();
}

rtl::String TcxValueType::CellDisplayText(const void* ACell) const
{
  try {
    Variant value;
    CellToVariant(ACell, value);
    return rtl::VarToStr(value);
  } catch (const rtl::EVariantError&) {
    return {};
  }
}

rtl::String TcxValueType::TextCellText(const void* ATextCell) const
{
  const auto* text = cxDataStorageLoad<const rtl::String*>(ATextCell);
  return text ? *text : rtl::String();
}

void TcxValueType::ReadCell(void* ACell, TcxValueTypeStream& AStream) const
{
  Variant value;
  cxReadVariant(AStream.Stream, value);
  VariantToCell(ACell, value);
}

void TcxValueType::ReadTextCell(void* ATextCell, TcxValueTypeStream& AStream) const
{
  StoreTextInCell(ATextCell, ReadText(AStream));
}

void TcxValueType::StoreTextInCell(void* ATextCell, const rtl::String& AText) const
{
  auto* text = cxDataStorageLoad<rtl::String*>(ATextCell);
  if (text) {
    *text = AText;
    return;
  }
  cxDataStorageStore(ATextCell, new rtl::String(AText));
}

void TcxValueType::WriteCell(const void* ACell, TcxValueTypeStream& AStream) const
{
  Variant value;
  CellToVariant(ACell, value);
  cxWriteVariant(AStream.Stream, value);
}

void TcxValueType::WriteTextCell(const void* ATextCell, TcxValueTypeStream& AStream) const
{
  WriteText(AStream, TextCellText(ATextCell));
}

rtl::String TcxValueType::Caption() const
{
  rtl::String caption = ClassName();
  if (caption.starts_with(L"Tcx"))
    caption.erase(0, 3);
  if (const auto position = caption.find(L"ValueType"); position != rtl::String::npos)
    caption.erase(position, 9);
  return caption;
}

int TcxValueType::CompareValues(const void* P1, const void* P2) const
{
  return cxVarCompare(GetValue(P1), GetValue(P2));
}

Variant TcxValueType::GetValue(const void* ABuffer) const
{
  Variant value;
  CellToVariant(ABuffer, value);
  return value;
}

bool TcxValueType::IsValueValid(Variant& Value) const
{
  if (rtl::VarIsNull(Value) || GetVarType() == rtl::varVariant)
    return true;
  try {
    Value = Value.CastTo(GetVarType());
    return true;
  } catch (const rtl::EVariantError&) {
    return false;
  }
}

rtl::String TcxValueType::ReadText(TcxValueTypeStream& AStream)
{
  if (AStream.Unicode) {
    rtl::String text;
    cxReadWideString(AStream.Stream, text);
    return text;
  }
  rtl::AnsiString bytes;
  cxReadAnsiString(AStream.Stream, bytes);
  return bytes.ToString();
}

void TcxValueType::WriteText(TcxValueTypeStream& AStream, const rtl::String& AText)
{
  if (AStream.Unicode)
    cxWriteWideString(AStream.Stream, AText);
  else
    cxWriteAnsiString(AStream.Stream, rtl::AnsiString::FromString(AText));
}

// ---------------------------------------------------------------------------
// TcxStringValueType

TcxValueTypeClass TcxStringValueType::Class() noexcept
{
  static constexpr TcxStringValueType instance{};
  return &instance;
}

void TcxStringValueType::FreeCell(void* ACell) const
{
  FreeTextCell(ACell);
}

void TcxStringValueType::CellToVariant(const void* ACell, Variant& Value) const
{
  Value = GetValue(PrepareValueBuffer(ACell));
}

void TcxStringValueType::ReadCell(void* ACell, TcxValueTypeStream& AStream) const
{
  VariantToCell(ACell, Variant(ReadText(AStream)));
}

void TcxStringValueType::VariantToCell(void* ACell, const Variant& Value) const
{
  if (rtl::VarIsArray(Value))
    StoreTextInCell(ACell, dxVariantAsAnsiString(Value).ToString());
  else
    StoreTextInCell(ACell, rtl::VarToStr(Value));
}

void TcxStringValueType::WriteCell(const void* ACell, TcxValueTypeStream& AStream) const
{
  WriteText(AStream, TextCellText(ACell));
}

int TcxStringValueType::CompareValues(const void* P1, const void* P2) const
{
  if (const int order = cxDataStorageCompareNil(P1, P2); order != kBothAssigned)
    return order;
  const int order = static_cast<const rtl::String*>(P1)->compare(*static_cast<const rtl::String*>(P2));
  return cxDataStorageSign(order, 0);
}

Variant TcxStringValueType::GetValue(const void* ABuffer) const
{
  return ABuffer ? Variant(*static_cast<const rtl::String*>(ABuffer)) : rtl::Null();
}

const void* TcxStringValueType::PrepareValueBuffer(const void* ABuffer) const
{
  return cxDataStorageLoad<const void*>(ABuffer);
}

// ---------------------------------------------------------------------------
// TcxWideStringValueType

TcxValueTypeClass TcxWideStringValueType::Class() noexcept
{
  static constexpr TcxWideStringValueType instance{};
  return &instance;
}

void TcxWideStringValueType::FreeCell(void* ACell) const
{
  ::operator delete(cxDataStorageLoad<void*>(ACell));
  cxDataStorageStore<void*>(ACell, nullptr);
}

void TcxWideStringValueType::CellToVariant(const void* ACell, Variant& Value) const
{
  Value = GetValue(PrepareValueBuffer(ACell));
}

void TcxWideStringValueType::ReadCell(void* ACell, TcxValueTypeStream& AStream) const
{
  rtl::String text;
  cxReadWideString(AStream.Stream, text);
  VariantToCell(ACell, Variant::FromOleStr(std::move(text)));
}

void TcxWideStringValueType::VariantToCell(void* ACell, const Variant& Value) const
{
  // The new block is made before the old one goes, so a value that does not
  // convert leaves the cell as it was.
  void* block = rtl::VarIsNull(Value) ? nullptr : cxDataStorageNewWideBlock(rtl::VarToWideStr(Value));
  FreeCell(ACell);
  cxDataStorageStore(ACell, block);
}

void TcxWideStringValueType::WriteCell(const void* ACell, TcxValueTypeStream& AStream) const
{
  Variant value;
  CellToVariant(ACell, value);
  cxWriteWideString(AStream.Stream, rtl::VarToWideStr(value));
}

int TcxWideStringValueType::CompareValues(const void* P1, const void* P2) const
{
  if (const int order = cxDataStorageCompareNil(P1, P2); order != kBothAssigned)
    return order;
  return cxDataStorageSign(cxDataStorageWideBlockText(P1).compare(cxDataStorageWideBlockText(P2)), 0);
}

Variant TcxWideStringValueType::GetValue(const void* ABuffer) const
{
  return ABuffer ? Variant::FromOleStr(cxDataStorageWideBlockText(ABuffer)) : rtl::Null();
}

// ---------------------------------------------------------------------------
// The fixed-size numbers

TcxValueTypeClass TcxSmallintValueType::Class() noexcept
{
  static constexpr TcxSmallintValueType instance{};
  return &instance;
}

void TcxSmallintValueType::CellToVariant(const void* ACell, Variant& Value) const
{
  Value = Variant::FromSmallint(cxDataStorageLoad<std::int16_t>(ACell));
}

void TcxSmallintValueType::ReadCell(void* ACell, TcxValueTypeStream& AStream) const
{
  cxDataStorageStore(ACell, cxReadSmallInt(AStream.Stream));
}

void TcxSmallintValueType::VariantToCell(void* ACell, const Variant& Value) const
{
  cxDataStorageStore(ACell, static_cast<std::int16_t>(Value.CastTo(rtl::varSmallint).AsInteger()));
}

void TcxSmallintValueType::WriteCell(const void* ACell, TcxValueTypeStream& AStream) const
{
  cxWriteSmallInt(AStream.Stream, cxDataStorageLoad<std::int16_t>(ACell));
}

int TcxSmallintValueType::CompareValues(const void* P1, const void* P2) const
{
  return cxDataStorageLoad<std::int16_t>(P1) - cxDataStorageLoad<std::int16_t>(P2);
}

TcxValueTypeClass TcxIntegerValueType::Class() noexcept
{
  static constexpr TcxIntegerValueType instance{};
  return &instance;
}

void TcxIntegerValueType::CellToVariant(const void* ACell, Variant& Value) const
{
  Value = Variant(cxDataStorageLoad<std::int32_t>(ACell));
}

void TcxIntegerValueType::ReadCell(void* ACell, TcxValueTypeStream& AStream) const
{
  cxDataStorageStore(ACell, cxReadInteger(AStream.Stream));
}

void TcxIntegerValueType::VariantToCell(void* ACell, const Variant& Value) const
{
  cxDataStorageStore<std::int32_t>(ACell, Value.AsInteger());
}

void TcxIntegerValueType::WriteCell(const void* ACell, TcxValueTypeStream& AStream) const
{
  cxWriteInteger(AStream.Stream, cxDataStorageLoad<std::int32_t>(ACell));
}

int TcxIntegerValueType::CompareValues(const void* P1, const void* P2) const
{
  return cxDataStorageSign(cxDataStorageLoad<std::int32_t>(P1), cxDataStorageLoad<std::int32_t>(P2));
}

TcxValueTypeClass TcxWordValueType::Class() noexcept
{
  static constexpr TcxWordValueType instance{};
  return &instance;
}

void TcxWordValueType::CellToVariant(const void* ACell, Variant& Value) const
{
  Value = Variant::FromWord(cxDataStorageLoad<std::uint16_t>(ACell));
}

void TcxWordValueType::ReadCell(void* ACell, TcxValueTypeStream& AStream) const
{
  cxDataStorageStore(ACell, cxReadWord(AStream.Stream));
}

void TcxWordValueType::VariantToCell(void* ACell, const Variant& Value) const
{
  cxDataStorageStore(ACell, static_cast<std::uint16_t>(Value.CastTo(rtl::varWord).AsInteger()));
}

void TcxWordValueType::WriteCell(const void* ACell, TcxValueTypeStream& AStream) const
{
  cxWriteWord(AStream.Stream, cxDataStorageLoad<std::uint16_t>(ACell));
}

int TcxWordValueType::CompareValues(const void* P1, const void* P2) const
{
  return cxDataStorageLoad<std::uint16_t>(P1) - cxDataStorageLoad<std::uint16_t>(P2);
}

TcxValueTypeClass TcxBooleanValueType::Class() noexcept
{
  static constexpr TcxBooleanValueType instance{};
  return &instance;
}

void TcxBooleanValueType::CellToVariant(const void* ACell, Variant& Value) const
{
  Value = Variant(cxDataStorageLoad<std::uint8_t>(ACell) != 0);
}

rtl::String TcxBooleanValueType::CellDisplayText(const void* ACell) const
{
  return cxDataStorageLoad<std::uint8_t>(ACell) != 0 ? L"True" : L"False";
}

void TcxBooleanValueType::ReadCell(void* ACell, TcxValueTypeStream& AStream) const
{
  cxDataStorageStore(ACell, cxReadByte(AStream.Stream));
}

void TcxBooleanValueType::VariantToCell(void* ACell, const Variant& Value) const
{
  cxDataStorageStore<std::uint8_t>(ACell, Value.AsBoolean() ? 1 : 0);
}

void TcxBooleanValueType::WriteCell(const void* ACell, TcxValueTypeStream& AStream) const
{
  cxWriteByte(AStream.Stream, cxDataStorageLoad<std::uint8_t>(ACell));
}

int TcxBooleanValueType::CompareValues(const void* P1, const void* P2) const
{
  return cxDataStorageLoad<std::uint8_t>(P1) - cxDataStorageLoad<std::uint8_t>(P2);
}

TcxValueTypeClass TcxSingleValueType::Class() noexcept
{
  static constexpr TcxSingleValueType instance{};
  return &instance;
}

void TcxSingleValueType::CellToVariant(const void* ACell, Variant& Value) const
{
  Value = Variant(static_cast<double>(cxDataStorageLoad<float>(ACell)));
}

void TcxSingleValueType::ReadCell(void* ACell, TcxValueTypeStream& AStream) const
{
  cxDataStorageStore(ACell, cxReadSingle(AStream.Stream));
}

void TcxSingleValueType::VariantToCell(void* ACell, const Variant& Value) const
{
  cxDataStorageStore(ACell, static_cast<float>(Value.AsDouble()));
}

void TcxSingleValueType::WriteCell(const void* ACell, TcxValueTypeStream& AStream) const
{
  cxWriteSingle(AStream.Stream, cxDataStorageLoad<float>(ACell));
}

int TcxSingleValueType::CompareValues(const void* P1, const void* P2) const
{
  return cxDataStorageSign(cxDataStorageLoad<float>(P1), cxDataStorageLoad<float>(P2));
}

TcxValueTypeClass TcxFloatValueType::Class() noexcept
{
  static constexpr TcxFloatValueType instance{};
  return &instance;
}

void TcxFloatValueType::CellToVariant(const void* ACell, Variant& Value) const
{
  Value = Variant(cxDataStorageLoad<double>(ACell));
}

void TcxFloatValueType::ReadCell(void* ACell, TcxValueTypeStream& AStream) const
{
  cxDataStorageStore(ACell, static_cast<double>(cxReadExtended(AStream.Stream)));
}

void TcxFloatValueType::VariantToCell(void* ACell, const Variant& Value) const
{
  cxDataStorageStore(ACell, Value.AsDouble());
}

void TcxFloatValueType::WriteCell(const void* ACell, TcxValueTypeStream& AStream) const
{
  cxWriteExtended(AStream.Stream, cxDataStorageLoad<double>(ACell));
}

int TcxFloatValueType::CompareValues(const void* P1, const void* P2) const
{
  return cxDataStorageSign(cxDataStorageLoad<double>(P1), cxDataStorageLoad<double>(P2));
}

TcxValueTypeClass TcxCurrencyValueType::Class() noexcept
{
  static constexpr TcxCurrencyValueType instance{};
  return &instance;
}

void TcxCurrencyValueType::CellToVariant(const void* ACell, Variant& Value) const
{
  Value = Variant(cxDataStorageLoad<rtl::Currency>(ACell));
}

void TcxCurrencyValueType::ReadCell(void* ACell, TcxValueTypeStream& AStream) const
{
  cxDataStorageStore(ACell, cxReadCurrency(AStream.Stream));
}

void TcxCurrencyValueType::VariantToCell(void* ACell, const Variant& Value) const
{
  cxDataStorageStore(ACell, Value.AsCurrency());
}

void TcxCurrencyValueType::WriteCell(const void* ACell, TcxValueTypeStream& AStream) const
{
  cxWriteCurrency(AStream.Stream, cxDataStorageLoad<rtl::Currency>(ACell));
}

int TcxCurrencyValueType::CompareValues(const void* P1, const void* P2) const
{
  return cxDataStorageSign(cxDataStorageLoad<rtl::Currency>(P1), cxDataStorageLoad<rtl::Currency>(P2));
}

TcxValueTypeClass TcxDateTimeValueType::Class() noexcept
{
  static constexpr TcxDateTimeValueType instance{};
  return &instance;
}

void TcxDateTimeValueType::CellToVariant(const void* ACell, Variant& Value) const
{
  Value = Variant::FromDate(cxDataStorageLoad<rtl::TDateTime>(ACell));
}

rtl::String TcxDateTimeValueType::CellDisplayText(const void* ACell) const
{
  const auto value = cxDataStorageLoad<rtl::TDateTime>(ACell);
  try {
    return rtl::VarToStr(Variant::FromDate(value));
  } catch (const rtl::EVariantError&) {
    return rtl::FloatToStr(value);
  }
}

void TcxDateTimeValueType::ReadCell(void* ACell, TcxValueTypeStream& AStream) const
{
  cxDataStorageStore(ACell, cxReadDateTime(AStream.Stream));
}

void TcxDateTimeValueType::VariantToCell(void* ACell, const Variant& Value) const
{
  cxDataStorageStore(ACell, Value.AsDateTime());
}

void TcxDateTimeValueType::WriteCell(const void* ACell, TcxValueTypeStream& AStream) const
{
  cxWriteDateTime(AStream.Stream, cxDataStorageLoad<rtl::TDateTime>(ACell));
}

int TcxDateTimeValueType::CompareValues(const void* P1, const void* P2) const
{
  return cxDataStorageSign(cxDataStorageLoad<rtl::TDateTime>(P1), cxDataStorageLoad<rtl::TDateTime>(P2));
}

TcxValueTypeClass TcxLargeIntValueType::Class() noexcept
{
  static constexpr TcxLargeIntValueType instance{};
  return &instance;
}

void TcxLargeIntValueType::CellToVariant(const void* ACell, Variant& Value) const
{
  Value = Variant(cxDataStorageLoad<std::int64_t>(ACell));
}

void TcxLargeIntValueType::ReadCell(void* ACell, TcxValueTypeStream& AStream) const
{
  cxDataStorageStore(ACell, cxReadInt64(AStream.Stream));
}

void TcxLargeIntValueType::VariantToCell(void* ACell, const Variant& Value) const
{
  cxDataStorageStore(ACell, Value.AsInt64());
}

void TcxLargeIntValueType::WriteCell(const void* ACell, TcxValueTypeStream& AStream) const
{
  cxWriteInt64(AStream.Stream, cxDataStorageLoad<std::int64_t>(ACell));
}

int TcxLargeIntValueType::CompareValues(const void* P1, const void* P2) const
{
  return cxDataStorageSign(cxDataStorageLoad<std::int64_t>(P1), cxDataStorageLoad<std::int64_t>(P2));
}

// ---------------------------------------------------------------------------
// TcxSQLTimeStampValueType

TcxValueTypeClass TcxSQLTimeStampValueType::Class() noexcept
{
  static constexpr TcxSQLTimeStampValueType instance{};
  return &instance;
}

void TcxSQLTimeStampValueType::CellToVariant(const void* ACell, Variant& Value) const
{
  Value = Variant::FromDate(cxDataStorageTimeStampToDateTime(cxDataStorageLoad<TcxSQLTimeStamp>(ACell)));
}

void TcxSQLTimeStampValueType::VariantToCell(void* ACell, const Variant& Value) const
{
  cxDataStorageStore(ACell, cxDataStorageDateTimeToTimeStamp(Value.AsDateTime()));
}

int TcxSQLTimeStampValueType::CompareValues(const void* P1, const void* P2) const
{
  const auto stamp1 = cxDataStorageLoad<TcxSQLTimeStamp>(P1);
  const auto stamp2 = cxDataStorageLoad<TcxSQLTimeStamp>(P2);
  const std::int64_t fields1[] = {stamp1.Year, stamp1.Month,  stamp1.Day,      stamp1.Hour,
                                  stamp1.Minute, stamp1.Second, stamp1.Fractions};
  const std::int64_t fields2[] = {stamp2.Year, stamp2.Month,  stamp2.Day,      stamp2.Hour,
                                  stamp2.Minute, stamp2.Second, stamp2.Fractions};
  for (std::size_t i = 0; i < std::size(fields1); ++i)
    if (fields1[i] != fields2[i])
      return static_cast<int>(std::clamp<std::int64_t>(fields1[i] - fields2[i], INT32_MIN, INT32_MAX));
  return 0;
}

// ---------------------------------------------------------------------------
// TcxVariantValueType

TcxValueTypeClass TcxVariantValueType::Class() noexcept
{
  static constexpr TcxVariantValueType instance{};
  return &instance;
}

void TcxVariantValueType::FreeCell(void* ACell) const
{
  delete cxDataStorageLoad<Variant*>(ACell);
  cxDataStorageStore<Variant*>(ACell, nullptr);
}

void TcxVariantValueType::CellToVariant(const void* ACell, Variant& Value) const
{
  Value = GetValue(PrepareValueBuffer(ACell));
}

void TcxVariantValueType::VariantToCell(void* ACell, const Variant& Value) const
{
  if (auto* value = cxDataStorageLoad<Variant*>(ACell))
    *value = Value;
  else
    cxDataStorageStore(ACell, new Variant(Value));
}

int TcxVariantValueType::CompareValues(const void* P1, const void* P2) const
{
  if (const int order = cxDataStorageCompareNil(P1, P2); order != kBothAssigned)
    return order;
  return cxVarCompare(*static_cast<const Variant*>(P1), *static_cast<const Variant*>(P2));
}

Variant TcxVariantValueType::GetValue(const void* ABuffer) const
{
  return ABuffer ? *static_cast<const Variant*>(ABuffer) : rtl::Null();
}

const void* TcxVariantValueType::PrepareValueBuffer(const void* ABuffer) const
{
  return cxDataStorageLoad<const void*>(ABuffer);
}

// ---------------------------------------------------------------------------
// TcxBLOBValueType

TcxValueTypeClass TcxBLOBValueType::Class() noexcept
{
  static constexpr TcxBLOBValueType instance{};
  return &instance;
}

void TcxBLOBValueType::FreeCell(void* ACell) const
{
  delete cxDataStorageLoad<rtl::AnsiString*>(ACell);
  cxDataStorageStore<rtl::AnsiString*>(ACell, nullptr);
}

void TcxBLOBValueType::CellToVariant(const void* ACell, Variant& Value) const
{
  Value = GetValue(PrepareValueBuffer(ACell));
}

void TcxBLOBValueType::ReadCell(void* ACell, TcxValueTypeStream& AStream) const
{
  rtl::AnsiString bytes;
  cxReadAnsiString(AStream.Stream, bytes);
  VariantToCell(ACell, Variant::FromAnsiString(std::move(bytes)));
}

void TcxBLOBValueType::VariantToCell(void* ACell, const Variant& Value) const
{
  rtl::AnsiString bytes = dxVariantAsAnsiString(Value);
  if (auto* data = cxDataStorageLoad<rtl::AnsiString*>(ACell))
    *data = std::move(bytes);
  else
    cxDataStorageStore(ACell, new rtl::AnsiString(std::move(bytes)));
}

void TcxBLOBValueType::WriteCell(const void* ACell, TcxValueTypeStream& AStream) const
{
  const auto* data = cxDataStorageLoad<const rtl::AnsiString*>(ACell);
  cxWriteAnsiString(AStream.Stream, data ? *data : rtl::AnsiString());
}

int TcxBLOBValueType::CompareValues(const void* P1, const void* P2) const
{
  if (const int order = cxDataStorageCompareNil(P1, P2); order != kBothAssigned)
    return order;
  const auto& bytes1 = static_cast<const rtl::AnsiString*>(P1)->Bytes();
  const auto& bytes2 = static_cast<const rtl::AnsiString*>(P2)->Bytes();
  return cxDataStorageSign(bytes1.compare(bytes2), 0);
}

Variant TcxBLOBValueType::GetValue(const void* ABuffer) const
{
  return ABuffer ? Variant::FromAnsiString(*static_cast<const rtl::AnsiString*>(ABuffer)) : rtl::Null();
}

const void* TcxBLOBValueType::PrepareValueBuffer(const void* ABuffer) const
{
  return cxDataStorageLoad<const void*>(ABuffer);
}

// ---------------------------------------------------------------------------
// TcxObjectValueType

TcxValueTypeClass TcxObjectValueType::Class() noexcept
{
  static constexpr TcxObjectValueType instance{};
  return &instance;
}

void TcxObjectValueType::FreeCell(void* ACell) const
{
  rtl::TObject* object = cxDataStorageLoad<rtl::TObject*>(ACell);
  cxDataStorageStore<rtl::TObject*>(ACell, nullptr);
  rtl::Free(object);
}

// ---------------------------------------------------------------------------
// TcxValueTypeClassList

void TcxValueTypeClassList::RegisterItem(TcxValueTypeClass AValueTypeClass)
{
  if (std::find(FItems.begin(), FItems.end(), AValueTypeClass) == FItems.end())
    FItems.push_back(AValueTypeClass);
}

void TcxValueTypeClassList::UnregisterItem(TcxValueTypeClass AValueTypeClass)
{
  std::erase(FItems, AValueTypeClass);
}

TcxValueTypeClass TcxValueTypeClassList::GetItem(int AIndex) const
{
  if (AIndex < 0 || AIndex >= Count())
    throw rtl::EListError(L"List index out of bounds (" + std::to_wstring(AIndex) + L")");
  return FItems[static_cast<std::size_t>(AIndex)];
}

TcxValueTypeClass TcxValueTypeClassList::ItemByCaption(const rtl::String& ACaption) const
{
  for (TcxValueTypeClass item : FItems)
    if (item->Caption() == ACaption)
      return item;
  return nullptr;
}

TcxValueTypeClassList* cxValueTypeClassListInstance()
{
  if (!cxDataStorageValueTypeClassList)
    cxDataStorageValueTypeClassList = rtl::New<TcxValueTypeClassList>();
  return cxDataStorageValueTypeClassList;
}

bool cxIsDateTimeValueTypeClass(TcxValueTypeClass AClass)
{
  return AClass == TcxDateTimeValueType::Class() || AClass == TcxSQLTimeStampValueType::Class();
}

// ---------------------------------------------------------------------------
// Start-up and shut-down

namespace {

// The registered types, in the order of registration.
constexpr TcxValueTypeClass (*const cxDataStorageTypes[])() noexcept = {
    &TcxStringValueType::Class,   &TcxWideStringValueType::Class, &TcxSmallintValueType::Class,
    &TcxIntegerValueType::Class,  &TcxWordValueType::Class,       &TcxBooleanValueType::Class,
    &TcxSingleValueType::Class,   &TcxFloatValueType::Class,      &TcxCurrencyValueType::Class,
    &TcxDateTimeValueType::Class, &TcxLargeIntValueType::Class,   &TcxSQLTimeStampValueType::Class,
    &TcxVariantValueType::Class,  &TcxObjectValueType::Class,     &TcxBLOBValueType::Class};

void cxDataStorageInitialization()
{
  for (auto valueTypeClass : cxDataStorageTypes)
    cxValueTypeClassListInstance()->RegisterItem(valueTypeClass());
}

void cxDataStorageFinalization()
{
  if (!cxDataStorageValueTypeClassList)
    return;
  for (auto it = std::rbegin(cxDataStorageTypes); it != std::rend(cxDataStorageTypes); ++it)
    cxDataStorageValueTypeClassList->UnregisterItem((*it)());
  rtl::FreeAndNil(cxDataStorageValueTypeClassList);
}

}  // namespace

RTL_UNIT(cxDataStorage, &cxDataStorageInitialization, &cxDataStorageFinalization);
