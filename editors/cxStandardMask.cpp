#include "editors/cxStandardMask.h"

#include <windows.h>

#include <algorithm>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/SysUtilsFormat.h"

namespace {

WORD CharType(wchar_t C)
{
  WORD type = 0;
  if (!GetStringTypeW(CT_CTYPE1, &C, 1, &type))
    return 0;
  return type;
}

bool IsDigitChar(wchar_t C)
{
  return (CharType(C) & C1_DIGIT) != 0;
}

bool IsAlphaChar(wchar_t C)
{
  return (CharType(C) & C1_ALPHA) != 0;
}

wchar_t ConvertCase(wchar_t C, TcxCaseControl ACaseControl)
{
  if (ACaseControl == ccUserCase)
    return C;
  const String converted =
      ACaseControl == ccUpperCase ? rtl::AnsiUpperCase(String(1, C)) : rtl::AnsiLowerCase(String(1, C));
  return converted.size() == 1 ? converted.front() : C;
}

}  // namespace

bool TcxStandardMaskManyItem::Check(wchar_t& AChar) const
{
  const bool result = Accepts(AChar);
  AChar = ConvertCase(AChar, FCaseControl);
  return result;
}

bool TcxStandardMaskNumericItem::Accepts(wchar_t AChar) const
{
  return IsDigitChar(AChar);
}

bool TcxStandardMaskNumericSymbolItem::Accepts(wchar_t AChar) const
{
  return IsDigitChar(AChar) || AChar == L'+' || AChar == L'-';
}

bool TcxStandardMaskAlphaItem::Accepts(wchar_t AChar) const
{
  return IsAlphaChar(AChar);
}

bool TcxStandardMaskAlphaNumericItem::Accepts(wchar_t AChar) const
{
  return IsAlphaChar(AChar) || IsDigitChar(AChar);
}

void TcxStandardMask::Compile(const String& AMask)
{
  FBlank = L'_';
  FItems.clear();
  FLeading = false;
  FSaveLiteralCharacters = true;
  FMask = AMask;

  String mask = AMask;
  if (!mask.empty() && mask.front() == L'!') {
    FLeading = true;
    mask.erase(0, 1);
  }
  TcxCaseControl caseControl = ccUserCase;
  auto literal = [this](wchar_t C) { FItems.push_back(std::make_unique<TcxStandardMaskLiteralItem>(C)); };
  auto many = [this](std::unique_ptr<TcxStandardMaskCustomItem> AItem) { FItems.push_back(std::move(AItem)); };
  const size_t length = mask.size();
  for (size_t i = 0; i < length; ++i) {
    const wchar_t c = mask[i];
    const size_t rest = length - i - 1;
    switch (c) {
      case L'0':
      case L'9':
        many(std::make_unique<TcxStandardMaskNumericItem>(c == L'9', caseControl));
        break;
      case L'#':
        many(std::make_unique<TcxStandardMaskNumericSymbolItem>(caseControl));
        break;
      case L'L':
      case L'l':
        many(std::make_unique<TcxStandardMaskAlphaItem>(c == L'l', caseControl));
        break;
      case L'A':
      case L'a':
        many(std::make_unique<TcxStandardMaskAlphaNumericItem>(c == L'a', caseControl));
        break;
      case L'C':
      case L'c':
        many(std::make_unique<TcxStandardMaskASCIIItem>(c == L'c', caseControl));
        break;
      case L'>':
        caseControl = ccUpperCase;
        break;
      case L'<':
        if (rest > 0 && mask[i + 1] == L'>') {
          caseControl = ccUserCase;
          ++i;
        } else {
          caseControl = ccLowerCase;
        }
        break;
      case L'\\':
        if (rest > 0)
          literal(mask[++i]);
        break;
      case L'/':
        literal(rtl::FormatSettings().DateSeparator);
        break;
      case L':':
        literal(rtl::FormatSettings().TimeSeparator);
        break;
      case L';': {
        const bool flag = rest > 0 && (mask[i + 1] == L'0' || mask[i + 1] == L'1');
        if (flag && rest == 3 && mask[i + 2] == L';') {
          FSaveLiteralCharacters = mask[i + 1] == L'1';
          FBlank = mask[i + 3];
          return;
        }
        if (flag && rest == 1) {
          FSaveLiteralCharacters = mask[i + 1] == L'1';
          return;
        }
        literal(c);
        break;
      }
      default:
        literal(c);
    }
  }
}

String TcxStandardMask::EmptyString() const
{
  String result;
  for (const auto& item : FItems)
    if (!item->IsLiteral())
      result += L' ';
    else if (FSaveLiteralCharacters)
      result += static_cast<const TcxStandardMaskLiteralItem&>(*item).Literal();
  return result;
}

String TcxStandardMask::FullEmptyString() const
{
  String result;
  for (const auto& item : FItems)
    result += item->IsLiteral() ? static_cast<const TcxStandardMaskLiteralItem&>(*item).Literal() : FBlank;
  return result;
}

// Each character of the text takes the first position, from the current one
// on in walking order, that accepts it (the current position then moves past
// it); a blank leaves a non-literal position empty; literal positions that do
// not match are passed over, and a character no position takes is dropped.
// Without saved literals a text of another length than the mask holds no
// literals, so literal positions are skipped.
void TcxStandardMask::Format(String& AText, bool AChangeCharCase, bool AMatchForBlanksAndLiterals) const
{
  String result = FullEmptyString();
  const int count = Count();
  const int step = FLeading ? -1 : 1;
  const bool skipLiterals =
      !FSaveLiteralCharacters && !AMatchForBlanksAndLiterals && AText.size() != result.size();
  int position = FLeading ? count - 1 : 0;
  const int textLength = static_cast<int>(AText.size());
  for (int k = 0; k < textLength; ++k) {
    const wchar_t c = AText[static_cast<size_t>(FLeading ? textLength - 1 - k : k)];
    for (int p = position; p >= 0 && p < count; p += step) {
      const TcxStandardMaskCustomItem& item = *FItems[static_cast<size_t>(p)];
      if (item.IsLiteral() && skipLiterals)
        continue;
      wchar_t converted = c;
      if (item.Check(converted)) {
        result[static_cast<size_t>(p)] = AChangeCharCase ? converted : c;
        position = p + step;
        break;
      }
      if (IsBlank(c) && !item.IsLiteral()) {
        position = p + step;
        break;
      }
    }
  }
  AText = result;
}

void TcxStandardMask::Format2(String& AText) const
{
  String result;
  const size_t length = std::min(AText.size(), FItems.size());
  for (size_t i = 0; i < length; ++i) {
    const bool literal = FItems[i]->IsLiteral();
    if (literal && !FSaveLiteralCharacters)
      continue;
    const wchar_t c = AText[i];
    result += !literal && c == FBlank ? L' ' : c;
  }
  AText = result;
}

bool TcxStandardMask::IsFullValid(String& AText) const
{
  if (AText.size() != FItems.size())
    return false;
  for (size_t i = 0; i < AText.size(); ++i) {
    const TcxStandardMaskCustomItem& item = *FItems[i];
    wchar_t c = AText[i];
    const bool accepted = item.Check(c);
    if (accepted)
      AText[i] = c;
    else if (!(IsBlank(AText[i]) && !item.IsLiteral() && item.IsOptional()))
      return false;
  }
  return true;
}

bool TcxStandardMask::IsValid(String& AText) const
{
  if (AText.size() > FItems.size())
    return false;
  for (size_t i = 0; i < AText.size(); ++i) {
    const TcxStandardMaskCustomItem& item = *FItems[i];
    wchar_t c = AText[i];
    if (!item.Check(c) && !(IsBlank(AText[i]) && !item.IsLiteral()))
      return false;
  }
  return true;
}
