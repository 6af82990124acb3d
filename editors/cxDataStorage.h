// The value types: how one kind of value lies in a fixed-size cell of a
// record buffer, how it converts to and from a Variant, how two cells
// compare, how a cell goes to and from a stream and how it shows as text.
//
// A value type is used as a class reference, never instantiated by its
// users: each class has exactly one constant, stateless instance, and a
// pointer to it (TcxValueTypeClass) is the reference through which its class
// operations are called virtually. The unit's start-up registers the types
// by name in one process-wide list.
//
// Cells: the scalar types keep the value itself; the string, wide-string,
// variant and BLOB types keep a pointer to the value on the heap (nil is
// Null). A text cell is a pointer to a heap display text (nil is empty).
// Whoever stores into a cell frees it through FreeCell / FreeTextCell.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/rtl/Variants.h"

RTL_DECLARE_UNIT(cxDataStorage);

namespace rtl {
class TStream;
}

class TcxValueType;
using TcxValueTypeClass = const TcxValueType*;

// The stream the cell and text operations read and write. Texts go as UTF-16
// (an Int32 character count, then the characters) when Unicode is set, else
// as 8-bit text in the system code page (an Int32 byte count, then the bytes).
struct TcxValueTypeStream {
  bool Unicode = true;
  rtl::TStream* Stream = nullptr;
};

// The date and time of a SQL time stamp, field by field.
struct TcxSQLTimeStamp {
  std::uint16_t Year;
  std::uint16_t Month;
  std::uint16_t Day;
  std::uint16_t Hour;
  std::uint16_t Minute;
  std::uint16_t Second;
  // Milliseconds.
  std::uint32_t Fractions;
};
static_assert(sizeof(TcxSQLTimeStamp) == 16);

class TcxValueType {
 public:
  constexpr TcxValueType() = default;
  TcxValueType(const TcxValueType&) = delete;
  TcxValueType& operator=(const TcxValueType&) = delete;

  static TcxValueTypeClass Class() noexcept;
  virtual const wchar_t* ClassName() const { return L"TcxValueType"; }
  virtual TcxValueTypeClass ClassParent() const { return nullptr; }
  // True for the class itself and its descendants.
  bool InheritsFrom(TcxValueTypeClass AClass) const;

  // Cell operations, for the record storage.
  int CompareCells(const void* P1, const void* P2) const;
  virtual void FreeCell(void* /*ACell*/) const {}
  void FreeTextCell(void* ATextCell) const;
  virtual int CellSize() const { return 0; }
  virtual void CellToVariant(const void* ACell, rtl::Variant& Value) const;
  // The cell's value as text; a value with no text shows as empty.
  virtual rtl::String CellDisplayText(const void* ACell) const;
  rtl::String TextCellText(const void* ATextCell) const;
  // A damaged stream raises EReadError and leaves the cell as it was.
  virtual void ReadCell(void* ACell, TcxValueTypeStream& AStream) const;
  void ReadTextCell(void* ATextCell, TcxValueTypeStream& AStream) const;
  virtual void VariantToCell(void* /*ACell*/, const rtl::Variant& /*Value*/) const {}
  void StoreTextInCell(void* ATextCell, const rtl::String& AText) const;
  virtual void WriteCell(const void* ACell, TcxValueTypeStream& AStream) const;
  void WriteTextCell(const void* ATextCell, TcxValueTypeStream& AStream) const;

  // The class name without a leading "Tcx" and without the first "ValueType".
  rtl::String Caption() const;
  // Three-way order of two values as PrepareValueBuffer gives them.
  virtual int CompareValues(const void* P1, const void* P2) const;
  virtual rtl::Variant GetValue(const void* ABuffer) const;
  virtual rtl::TVarType GetVarType() const { return rtl::varVariant; }
  // True for Null or when the type takes any variant; else the value is
  // converted to the type in place, and a value that does not convert
  // answers False and stays as it was.
  bool IsValueValid(rtl::Variant& Value) const;
  virtual bool IsString() const { return false; }
  // The value a cell stands for: the cell itself, or for the pointer types
  // the pointer stored in it.
  virtual const void* PrepareValueBuffer(const void* ABuffer) const { return ABuffer; }

  // Reading and writing a text by the stream's Unicode flag.
  static rtl::String ReadText(TcxValueTypeStream& AStream);
  static void WriteText(TcxValueTypeStream& AStream, const rtl::String& AText);
};

// A pointer to a heap String.
class TcxStringValueType : public TcxValueType {
 public:
  constexpr TcxStringValueType() = default;
  static TcxValueTypeClass Class() noexcept;
  const wchar_t* ClassName() const override { return L"TcxStringValueType"; }
  TcxValueTypeClass ClassParent() const override { return TcxValueType::Class(); }
  void FreeCell(void* ACell) const override;
  int CellSize() const override { return 4; }
  void CellToVariant(const void* ACell, rtl::Variant& Value) const override;
  void ReadCell(void* ACell, TcxValueTypeStream& AStream) const override;
  void VariantToCell(void* ACell, const rtl::Variant& Value) const override;
  void WriteCell(const void* ACell, TcxValueTypeStream& AStream) const override;
  int CompareValues(const void* P1, const void* P2) const override;
  rtl::Variant GetValue(const void* ABuffer) const override;
  rtl::TVarType GetVarType() const override { return rtl::varUString; }
  bool IsString() const override { return true; }
  const void* PrepareValueBuffer(const void* ABuffer) const override;
};

// A pointer to a heap block: an Int32 character count, then UTF-16.
class TcxWideStringValueType : public TcxStringValueType {
 public:
  constexpr TcxWideStringValueType() = default;
  static TcxValueTypeClass Class() noexcept;
  const wchar_t* ClassName() const override { return L"TcxWideStringValueType"; }
  TcxValueTypeClass ClassParent() const override { return TcxStringValueType::Class(); }
  void FreeCell(void* ACell) const override;
  void CellToVariant(const void* ACell, rtl::Variant& Value) const override;
  void ReadCell(void* ACell, TcxValueTypeStream& AStream) const override;
  void VariantToCell(void* ACell, const rtl::Variant& Value) const override;
  void WriteCell(const void* ACell, TcxValueTypeStream& AStream) const override;
  int CompareValues(const void* P1, const void* P2) const override;
  rtl::Variant GetValue(const void* ABuffer) const override;
  rtl::TVarType GetVarType() const override { return rtl::varOleStr; }
};

class TcxSmallintValueType : public TcxValueType {
 public:
  constexpr TcxSmallintValueType() = default;
  static TcxValueTypeClass Class() noexcept;
  const wchar_t* ClassName() const override { return L"TcxSmallintValueType"; }
  TcxValueTypeClass ClassParent() const override { return TcxValueType::Class(); }
  int CellSize() const override { return 2; }
  void CellToVariant(const void* ACell, rtl::Variant& Value) const override;
  void ReadCell(void* ACell, TcxValueTypeStream& AStream) const override;
  void VariantToCell(void* ACell, const rtl::Variant& Value) const override;
  void WriteCell(const void* ACell, TcxValueTypeStream& AStream) const override;
  int CompareValues(const void* P1, const void* P2) const override;
  rtl::TVarType GetVarType() const override { return rtl::varSmallint; }
};

class TcxIntegerValueType : public TcxValueType {
 public:
  constexpr TcxIntegerValueType() = default;
  static TcxValueTypeClass Class() noexcept;
  const wchar_t* ClassName() const override { return L"TcxIntegerValueType"; }
  TcxValueTypeClass ClassParent() const override { return TcxValueType::Class(); }
  int CellSize() const override { return 4; }
  void CellToVariant(const void* ACell, rtl::Variant& Value) const override;
  void ReadCell(void* ACell, TcxValueTypeStream& AStream) const override;
  void VariantToCell(void* ACell, const rtl::Variant& Value) const override;
  void WriteCell(const void* ACell, TcxValueTypeStream& AStream) const override;
  int CompareValues(const void* P1, const void* P2) const override;
  rtl::TVarType GetVarType() const override { return rtl::varInteger; }
};

class TcxWordValueType : public TcxValueType {
 public:
  constexpr TcxWordValueType() = default;
  static TcxValueTypeClass Class() noexcept;
  const wchar_t* ClassName() const override { return L"TcxWordValueType"; }
  TcxValueTypeClass ClassParent() const override { return TcxValueType::Class(); }
  int CellSize() const override { return 2; }
  void CellToVariant(const void* ACell, rtl::Variant& Value) const override;
  void ReadCell(void* ACell, TcxValueTypeStream& AStream) const override;
  void VariantToCell(void* ACell, const rtl::Variant& Value) const override;
  void WriteCell(const void* ACell, TcxValueTypeStream& AStream) const override;
  int CompareValues(const void* P1, const void* P2) const override;
  rtl::TVarType GetVarType() const override { return rtl::varWord; }
};

class TcxBooleanValueType : public TcxValueType {
 public:
  constexpr TcxBooleanValueType() = default;
  static TcxValueTypeClass Class() noexcept;
  const wchar_t* ClassName() const override { return L"TcxBooleanValueType"; }
  TcxValueTypeClass ClassParent() const override { return TcxValueType::Class(); }
  int CellSize() const override { return 1; }
  void CellToVariant(const void* ACell, rtl::Variant& Value) const override;
  rtl::String CellDisplayText(const void* ACell) const override;
  void ReadCell(void* ACell, TcxValueTypeStream& AStream) const override;
  void VariantToCell(void* ACell, const rtl::Variant& Value) const override;
  void WriteCell(const void* ACell, TcxValueTypeStream& AStream) const override;
  int CompareValues(const void* P1, const void* P2) const override;
  rtl::TVarType GetVarType() const override { return rtl::varBoolean; }
};

class TcxSingleValueType : public TcxValueType {
 public:
  constexpr TcxSingleValueType() = default;
  static TcxValueTypeClass Class() noexcept;
  const wchar_t* ClassName() const override { return L"TcxSingleValueType"; }
  TcxValueTypeClass ClassParent() const override { return TcxValueType::Class(); }
  int CellSize() const override { return 4; }
  void CellToVariant(const void* ACell, rtl::Variant& Value) const override;
  void ReadCell(void* ACell, TcxValueTypeStream& AStream) const override;
  void VariantToCell(void* ACell, const rtl::Variant& Value) const override;
  void WriteCell(const void* ACell, TcxValueTypeStream& AStream) const override;
  int CompareValues(const void* P1, const void* P2) const override;
  rtl::TVarType GetVarType() const override { return rtl::varSingle; }
};

// A double in the cell; the stream holds a 10-byte extended.
class TcxFloatValueType : public TcxValueType {
 public:
  constexpr TcxFloatValueType() = default;
  static TcxValueTypeClass Class() noexcept;
  const wchar_t* ClassName() const override { return L"TcxFloatValueType"; }
  TcxValueTypeClass ClassParent() const override { return TcxValueType::Class(); }
  int CellSize() const override { return 8; }
  void CellToVariant(const void* ACell, rtl::Variant& Value) const override;
  void ReadCell(void* ACell, TcxValueTypeStream& AStream) const override;
  void VariantToCell(void* ACell, const rtl::Variant& Value) const override;
  void WriteCell(const void* ACell, TcxValueTypeStream& AStream) const override;
  int CompareValues(const void* P1, const void* P2) const override;
  rtl::TVarType GetVarType() const override { return rtl::varDouble; }
};

class TcxCurrencyValueType : public TcxValueType {
 public:
  constexpr TcxCurrencyValueType() = default;
  static TcxValueTypeClass Class() noexcept;
  const wchar_t* ClassName() const override { return L"TcxCurrencyValueType"; }
  TcxValueTypeClass ClassParent() const override { return TcxValueType::Class(); }
  int CellSize() const override { return 8; }
  void CellToVariant(const void* ACell, rtl::Variant& Value) const override;
  void ReadCell(void* ACell, TcxValueTypeStream& AStream) const override;
  void VariantToCell(void* ACell, const rtl::Variant& Value) const override;
  void WriteCell(const void* ACell, TcxValueTypeStream& AStream) const override;
  int CompareValues(const void* P1, const void* P2) const override;
  rtl::TVarType GetVarType() const override { return rtl::varCurrency; }
};

class TcxDateTimeValueType : public TcxValueType {
 public:
  constexpr TcxDateTimeValueType() = default;
  static TcxValueTypeClass Class() noexcept;
  const wchar_t* ClassName() const override { return L"TcxDateTimeValueType"; }
  TcxValueTypeClass ClassParent() const override { return TcxValueType::Class(); }
  int CellSize() const override { return 8; }
  void CellToVariant(const void* ACell, rtl::Variant& Value) const override;
  rtl::String CellDisplayText(const void* ACell) const override;
  void ReadCell(void* ACell, TcxValueTypeStream& AStream) const override;
  void VariantToCell(void* ACell, const rtl::Variant& Value) const override;
  void WriteCell(const void* ACell, TcxValueTypeStream& AStream) const override;
  int CompareValues(const void* P1, const void* P2) const override;
  rtl::TVarType GetVarType() const override { return rtl::varDate; }
};

class TcxLargeIntValueType : public TcxValueType {
 public:
  constexpr TcxLargeIntValueType() = default;
  static TcxValueTypeClass Class() noexcept;
  const wchar_t* ClassName() const override { return L"TcxLargeIntValueType"; }
  TcxValueTypeClass ClassParent() const override { return TcxValueType::Class(); }
  int CellSize() const override { return 8; }
  void CellToVariant(const void* ACell, rtl::Variant& Value) const override;
  void ReadCell(void* ACell, TcxValueTypeStream& AStream) const override;
  void VariantToCell(void* ACell, const rtl::Variant& Value) const override;
  void WriteCell(const void* ACell, TcxValueTypeStream& AStream) const override;
  int CompareValues(const void* P1, const void* P2) const override;
  rtl::TVarType GetVarType() const override { return rtl::varInt64; }
};

// A TcxSQLTimeStamp in the cell; as a variant, its date and time. The
// platform has no variant type of its own for time stamps, so the type
// answers the date type.
class TcxSQLTimeStampValueType : public TcxValueType {
 public:
  constexpr TcxSQLTimeStampValueType() = default;
  static TcxValueTypeClass Class() noexcept;
  const wchar_t* ClassName() const override { return L"TcxSQLTimeStampValueType"; }
  TcxValueTypeClass ClassParent() const override { return TcxValueType::Class(); }
  int CellSize() const override { return static_cast<int>(sizeof(TcxSQLTimeStamp)); }
  void CellToVariant(const void* ACell, rtl::Variant& Value) const override;
  void VariantToCell(void* ACell, const rtl::Variant& Value) const override;
  int CompareValues(const void* P1, const void* P2) const override;
  rtl::TVarType GetVarType() const override { return rtl::varDate; }
};

// A pointer to a heap Variant.
class TcxVariantValueType : public TcxValueType {
 public:
  constexpr TcxVariantValueType() = default;
  static TcxValueTypeClass Class() noexcept;
  const wchar_t* ClassName() const override { return L"TcxVariantValueType"; }
  TcxValueTypeClass ClassParent() const override { return TcxValueType::Class(); }
  void FreeCell(void* ACell) const override;
  int CellSize() const override { return 4; }
  void CellToVariant(const void* ACell, rtl::Variant& Value) const override;
  void VariantToCell(void* ACell, const rtl::Variant& Value) const override;
  int CompareValues(const void* P1, const void* P2) const override;
  rtl::Variant GetValue(const void* ABuffer) const override;
  const void* PrepareValueBuffer(const void* ABuffer) const override;
};

// A pointer to heap 8-bit data.
class TcxBLOBValueType : public TcxValueType {
 public:
  constexpr TcxBLOBValueType() = default;
  static TcxValueTypeClass Class() noexcept;
  const wchar_t* ClassName() const override { return L"TcxBLOBValueType"; }
  TcxValueTypeClass ClassParent() const override { return TcxValueType::Class(); }
  void FreeCell(void* ACell) const override;
  int CellSize() const override { return 4; }
  void CellToVariant(const void* ACell, rtl::Variant& Value) const override;
  void ReadCell(void* ACell, TcxValueTypeStream& AStream) const override;
  void VariantToCell(void* ACell, const rtl::Variant& Value) const override;
  void WriteCell(const void* ACell, TcxValueTypeStream& AStream) const override;
  int CompareValues(const void* P1, const void* P2) const override;
  rtl::Variant GetValue(const void* ABuffer) const override;
  rtl::TVarType GetVarType() const override { return rtl::varString; }
  bool IsString() const override { return true; }
  const void* PrepareValueBuffer(const void* ABuffer) const override;
};

// An object reference kept like an integer; the cell owns the object.
class TcxObjectValueType : public TcxIntegerValueType {
 public:
  constexpr TcxObjectValueType() = default;
  static TcxValueTypeClass Class() noexcept;
  const wchar_t* ClassName() const override { return L"TcxObjectValueType"; }
  TcxValueTypeClass ClassParent() const override { return TcxIntegerValueType::Class(); }
  void FreeCell(void* ACell) const override;
  void ReadCell(void*, TcxValueTypeStream&) const override {}
  void WriteCell(const void*, TcxValueTypeStream&) const override {}
};

// The registered value types, in the order of registration.
class TcxValueTypeClassList : public rtl::TObject {
  RTL_CLASS(TcxValueTypeClassList, rtl::TObject)

 public:
  void Create() {}

  // Appends unless already present.
  void RegisterItem(TcxValueTypeClass AValueTypeClass);
  void UnregisterItem(TcxValueTypeClass AValueTypeClass);
  int Count() const { return static_cast<int>(FItems.size()); }
  TcxValueTypeClass GetItem(int AIndex) const;
  // The first class whose Caption equals ACaption exactly, else nil.
  TcxValueTypeClass ItemByCaption(const rtl::String& ACaption) const;

 private:
  std::vector<TcxValueTypeClass> FItems;
};

// The process-wide list, created on first use.
TcxValueTypeClassList* cxValueTypeClassListInstance();

// True for exactly the date-time and the SQL time-stamp types (not for their
// descendants).
bool cxIsDateTimeValueTypeClass(TcxValueTypeClass AClass);
