// The classic fixed-position edit mask: one mask position per character of
// the text, literals in between, and a blank character shown for an empty
// position.
//
//   0 / 9    required / optional digit      # digit, "+" or "-" (optional)
//   L / l    required / optional letter     A / a letter or digit
//   C / c    required / optional character  > upper case, < lower, <> none
//   \x       x as a literal                 / : the locale's separators
//   ;1;_     at the end: keep literals in the value (1) or not (0), and the
//            blank character; ";1" alone sets the first only
//   !        at the start: the text fills the mask from its end
#pragma once

#include <memory>
#include <vector>

#include "platform/rtl/SystemTypes.h"

using rtl::String;

enum TcxCaseControl { ccUpperCase, ccLowerCase, ccUserCase };

class TcxStandardMaskCustomItem {
 public:
  virtual ~TcxStandardMaskCustomItem() = default;
  // True when the position takes the character; a position with case control
  // converts the character in place, whatever the answer.
  virtual bool Check(wchar_t& AChar) const = 0;
  virtual bool IsLiteral() const { return false; }
  virtual bool IsOptional() const { return false; }
};

class TcxStandardMaskLiteralItem : public TcxStandardMaskCustomItem {
 public:
  explicit TcxStandardMaskLiteralItem(wchar_t ALiteral) : FLiteral(ALiteral) {}
  bool Check(wchar_t& AChar) const override { return AChar == FLiteral; }
  bool IsLiteral() const override { return true; }
  wchar_t Literal() const { return FLiteral; }

 private:
  wchar_t FLiteral;
};

class TcxStandardMaskManyItem : public TcxStandardMaskCustomItem {
 public:
  TcxStandardMaskManyItem(bool AOptional, TcxCaseControl ACaseControl)
      : FCaseControl(ACaseControl), FOptional(AOptional)
  {
  }
  bool Check(wchar_t& AChar) const override;
  bool IsOptional() const override { return FOptional; }
  TcxCaseControl CaseControl() const { return FCaseControl; }

 protected:
  virtual bool Accepts(wchar_t AChar) const = 0;

 private:
  TcxCaseControl FCaseControl;
  bool FOptional;
};

class TcxStandardMaskNumericItem : public TcxStandardMaskManyItem {
 public:
  using TcxStandardMaskManyItem::TcxStandardMaskManyItem;

 protected:
  bool Accepts(wchar_t AChar) const override;
};

class TcxStandardMaskNumericSymbolItem : public TcxStandardMaskManyItem {
 public:
  explicit TcxStandardMaskNumericSymbolItem(TcxCaseControl ACaseControl)
      : TcxStandardMaskManyItem(true, ACaseControl)
  {
  }

 protected:
  bool Accepts(wchar_t AChar) const override;
};

class TcxStandardMaskAlphaItem : public TcxStandardMaskManyItem {
 public:
  using TcxStandardMaskManyItem::TcxStandardMaskManyItem;

 protected:
  bool Accepts(wchar_t AChar) const override;
};

class TcxStandardMaskAlphaNumericItem : public TcxStandardMaskManyItem {
 public:
  using TcxStandardMaskManyItem::TcxStandardMaskManyItem;

 protected:
  bool Accepts(wchar_t AChar) const override;
};

class TcxStandardMaskASCIIItem : public TcxStandardMaskManyItem {
 public:
  using TcxStandardMaskManyItem::TcxStandardMaskManyItem;

 protected:
  bool Accepts(wchar_t) const override { return true; }
};

class TcxStandardMask {
 public:
  void Compile(const String& AMask);
  // Places AText into the mask (see the .cpp); with AChangeCharCase the
  // positions' case conversion applies.
  void Format(String& AText, bool AChangeCharCase = true, bool AMatchForBlanksAndLiterals = true) const;
  // The value of a formatted text: blanks become spaces, literals stay only
  // when SaveLiteralCharacters.
  void Format2(String& AText) const;
  bool IsFullValid(String& AText) const;
  bool IsValid(String& AText) const;

  int Count() const { return static_cast<int>(FItems.size()); }
  const TcxStandardMaskCustomItem& Items(int AIndex) const { return *FItems.at(static_cast<size_t>(AIndex)); }
  wchar_t Blank() const { return FBlank; }
  void SetBlank(wchar_t AValue) { FBlank = AValue; }
  bool Leading() const { return FLeading; }
  const String& Mask() const { return FMask; }
  bool SaveLiteralCharacters() const { return FSaveLiteralCharacters; }
  void SetSaveLiteralCharacters(bool AValue) { FSaveLiteralCharacters = AValue; }
  // The value of an empty input, and the text an empty input shows.
  String EmptyString() const;
  String FullEmptyString() const;

 private:
  bool IsBlank(wchar_t C) const { return C == FBlank || C == L' '; }

  wchar_t FBlank = L'_';
  std::vector<std::unique_ptr<TcxStandardMaskCustomItem>> FItems;
  bool FLeading = false;
  bool FSaveLiteralCharacters = true;
  String FMask;
};
