// The text engine. In this file:
// - the pattern brushes (unit start-up and shut-down);
// - the rows record, the measurers and the parameters;
// - character classes and line breaking;
// - building, placing and drawing rows; cxDrawTextEx;
// - rotated, wrapped text.
#include "graphics/cxDrawTextUtils.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <utility>

#include "core/dxCore.h"
#include "graphics/dxCoreGraphics.h"
#include "platform/vcl/GraphicsHandles.h"

using vcl::TColor;
using vcl::TRect;
using vcl::TSize;

namespace {

// ---------------------------------------------------------------------------
// Pattern brushes: a checkerboard for normal and a solid pattern for bold
// text, drawn instead of glyphs too small to read.

HBRUSH PatternBrushes[2];

HBRUSH CreatePatternBrushFromRows(const WORD (&ARows)[8])
{
  vcl::TOwnedBitmap bitmap(CreateBitmap(8, 8, 1, 1, ARows));
  // The brush keeps its own copy of the pattern.
  return bitmap ? CreatePatternBrush(bitmap.Get()) : nullptr;
}

void cxDrawTextUtilsInitialization()
{
  static constexpr WORD Checkerboard[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  static constexpr WORD Solid[8] = {};
  PatternBrushes[0] = CreatePatternBrushFromRows(Checkerboard);
  PatternBrushes[1] = CreatePatternBrushFromRows(Solid);
}

void cxDrawTextUtilsFinalization()
{
  for (HBRUSH& brush : PatternBrushes)
    vcl::DeleteAndNil(brush);
}

bool IsBlank(wchar_t C) { return C == L' ' || C == L'\t'; }
bool IsLineBreak(wchar_t C) { return C == L'\r' || C == L'\n'; }

// A colour the caller means, not a marker.
bool IsRealColor(TColor AColor) { return AColor != vcl::clNone && AColor != vcl::clDefault; }

int RectWidth(const TRect& R) { return R.right - R.left; }
int RectHeight(const TRect& R) { return R.bottom - R.top; }

// Past a line break at P (CR, CR LF, LF or LF CR).
const wchar_t* SkipLineBreak(const wchar_t* P, const wchar_t* AEnd)
{
  const wchar_t first = *P++;
  if (P < AEnd && IsLineBreak(*P) && *P != first)
    ++P;
  return P;
}

}  // namespace

RTL_UNIT(cxDrawTextUtils, &cxDrawTextUtilsInitialization, &cxDrawTextUtilsFinalization);

// ---------------------------------------------------------------------------
// Rows

void TcxTextRows::SetCount(int AValue)
{
  if (AValue > StaticCount && static_cast<int>(DynamicRows.size()) < AValue - StaticCount)
    DynamicRows.resize(AValue - StaticCount + 4);
  Count = AValue;
  if (AValue > 0)
    Row(AValue - 1) = {};
}

void TcxTextRows::Clear()
{
  Count = 0;
  TcxDynamicTextRows().swap(DynamicRows);
}

// ---------------------------------------------------------------------------
// Measuring

namespace {

void MeasureByDrawText(HDC DC, const wchar_t* AText, int ALength, TSize& ASize)
{
  RECT r{};
  const int height =
      DrawTextW(DC, AText, ALength, &r, DT_NOPREFIX | DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE);
  ASize = {r.right - r.left, height};
}

}  // namespace

void cxMeasureTextExtents(HDC DC, const wchar_t* AText, int ALength, TSize& ASize, void*, bool AExpandTabs)
{
  ASize = {};
  if (!AExpandTabs) {
    if (!GetTextExtentPoint32W(DC, AText, std::max(ALength, 0), &ASize))
      ASize = {};
    return;
  }
  // The platform's tabbed measuring takes at most 4095 characters.
  if (ALength > 4095) {
    MeasureByDrawText(DC, AText, ALength, ASize);
    if (ALength > 4096 && ASize.cx == 0)
      MeasureByDrawText(DC, AText, 4096, ASize);
    return;
  }
  const DWORD extent = GetTabbedTextExtentW(DC, AText, ALength, 0, nullptr);
  ASize = {LOWORD(extent), HIWORD(extent)};
  // The width comes in 16 bits: when it may have wrapped, DrawText measures
  // again and its width is taken whole. (Adding multiples of 65535 to the
  // wrapped width, as the framework does, is a pixel short per wrap.)
  SIZE w{};
  GetTextExtentPoint32W(DC, L"W", 1, &w);
  if (static_cast<long long>(ALength) * w.cx > 65535) {
    TSize full{};
    MeasureByDrawText(DC, AText, ALength, full);
    if (full.cx >= 65536)
      ASize.cx = full.cx;
  }
}

int cxGetTextPartialExtents(HDC DC, const wchar_t* AText, int ALength, int AMaxWidth, int* AExtents, void*)
{
  if (ALength <= 0)
    return 0;
  std::vector<int> own;
  if (!AExtents) {
    own.resize(ALength);
    AExtents = own.data();
  }
  // Without a fit count the platform fills every extent; the fit is then
  // read off them.
  SIZE size{};
  if (!GetTextExtentExPointW(DC, AText, ALength, 0, nullptr, AExtents, &size)) {
    std::fill_n(AExtents, ALength, 0);
    return 0;
  }
  return static_cast<int>(std::upper_bound(AExtents, AExtents + ALength, AMaxWidth) - AExtents);
}

TcxTextMeasurer cxTextMeasurerForDC()
{
  return {&cxMeasureTextExtents, &cxGetTextPartialExtents, nullptr};
}

// ---------------------------------------------------------------------------
// Parameters

TcxRowBreakOptions cxRowBreakOptions(const TcxTextParams& AParams)
{
  TcxRowBreakOptions options{};
  options.AlignX = AParams.TextAlignX;
  options.WrapWords =
      !AParams.SingleLine &&
      (AParams.WordBreak || AParams.TextAlignX == taJustifyX || AParams.TextAlignX == taDistributeX);
  options.WrapChars = options.WrapWords && (AParams.CharBreak || AParams.EditControl);
  options.CalcRect = AParams.CalcRect;
  options.EditControl = AParams.EditControl;
  options.EndEllipsis = AParams.EndEllipsis;
  options.ExpandTabs = AParams.ExpandTabs;
  options.ExcelStyle = AParams.ExcelStyle;
  options.SingleLine = AParams.SingleLine;
  return options;
}

namespace {

// What SysLocale reports as a far-east locale: one with double-byte text.
bool IsFarEastLocale() { return GetSystemMetrics(SM_DBCSENABLED) != 0; }

bool ReadTextMetrics(HDC DC, TEXTMETRICW& AMetrics)
{
  if (GetTextMetricsW(DC, &AMetrics))
    return true;
  TEXTMETRICA ansi{};
  if (!GetTextMetricsA(DC, &ansi))
    return false;
  AMetrics.tmHeight = ansi.tmHeight;
  AMetrics.tmExternalLeading = ansi.tmExternalLeading;
  AMetrics.tmMaxCharWidth = ansi.tmMaxCharWidth;
  AMetrics.tmWeight = ansi.tmWeight;
  AMetrics.tmBreakChar = static_cast<unsigned char>(ansi.tmBreakChar);
  AMetrics.tmCharSet = ansi.tmCharSet;
  return true;
}

// The logical size of ADevicePixels device pixels along x and y.
POINT LogicalSizeOfDevicePixels(HDC DC, int ADevicePixels)
{
  POINT points[2] = {{0, 0}, {ADevicePixels, ADevicePixels}};
  if (!DPtoLP(DC, points, 2))
    return {};
  return {std::abs(points[1].x - points[0].x), std::abs(points[1].y - points[0].y)};
}

int RoundRowHeight(double AValue)
{
  if (!std::isfinite(AValue) || std::fabs(AValue) > std::numeric_limits<int>::max())
    return 0;
  return static_cast<int>(rtl::Round(AValue));
}

void PrepareTextParams(HDC DC, unsigned AFlags, TcxTextParams& AParams, double ALineSpacing,
                       const TcxTextMeasurer& AMeasurer)
{
  AParams = {};
  TEXTMETRICW metrics{};
  if (!ReadTextMetrics(DC, metrics))
    metrics = {};
  AParams.Bold = metrics.tmWeight >= FW_BOLD;
  AParams.BreakChar = metrics.tmBreakChar;
  AParams.MaxCharWidth = metrics.tmMaxCharWidth;
  AParams.RowHeight = metrics.tmHeight;
  AParams.CharSet = metrics.tmCharSet;

  const unsigned alignX = AFlags & cxdtfAlignXMask;
  AParams.TextAlignX = alignX <= taDistributeX ? static_cast<TcxTextAlignX>(alignX) : taLeft;
  AParams.TextAlignY = static_cast<TcxTextAlignY>((AFlags & cxdtfAlignYMask) >> 4);
  AParams.WordBreak = AFlags & cxdtfWordBreak;
  AParams.SingleLine = AFlags & cxdtfSingleLine;
  AParams.ExpandTabs = AFlags & cxdtfExpandTabs;
  AParams.EndEllipsis = AFlags & cxdtfEndEllipsis;
  AParams.ExternalLeading = AFlags & cxdtfExternalLeading;
  AParams.EditControl = AFlags & cxdtfEditControl;
  AParams.ExcelStyle = AFlags & cxdtfExcelStyle;
  AParams.NoClip = AFlags & cxdtfNoClip;
  AParams.AutoIndents = AFlags & cxdtfAutoIndents;
  AParams.PatternedText = AFlags & cxdtfPatternedText;
  AParams.PreventLeftExceed = AFlags & cxdtfPreventLeftExceed;
  AParams.PreventTopExceed = AFlags & cxdtfPreventTopExceed;
  AParams.CharBreak = (AFlags & cxdtfCharBreak) || IsFarEastLocale();
  AParams.CalcRowCount = AFlags & cxdtfCalcRowCount;
  AParams.CalcRect = AFlags & cxdtfCalcRect;
  AParams.HidePrefix = AFlags & cxdtfHidePrefix;
  AParams.RTLReading = AFlags & cxdtfRTLReading;

  AParams.tmExternalLeading = AParams.ExternalLeading ? metrics.tmExternalLeading : 0;
  AParams.OnePixel = LogicalSizeOfDevicePixels(DC, 1).x;
  AParams.FullRowHeight = RoundRowHeight((AParams.RowHeight + AParams.tmExternalLeading) * ALineSpacing);
  // Below 6 device pixels glyphs are unreadable; bars stand in for them.
  if (AParams.PatternedText)
    AParams.PatternedText = AParams.RowHeight < LogicalSizeOfDevicePixels(DC, 6).y;
  if (AParams.EndEllipsis) {
    TSize size{};
    AMeasurer.Measure(DC, L"...", 3, size, AMeasurer.UserData, false);
    AParams.EndEllipsisWidth = size.cx;
  }
}

}  // namespace

void cxPrepareTextParamsForDC(HDC DC, unsigned AFlags, TcxTextParams& AParams, double ALineSpacing)
{
  PrepareTextParams(DC, AFlags, AParams, ALineSpacing, cxTextMeasurerForDC());
}

void cxPrepareTextParams(vcl::TCanvas* ACanvas, unsigned AFlags, TcxTextParams& AParams, double ALineSpacing)
{
  // Getting the handle selects the canvas's font into it.
  cxPrepareTextParamsForDC(ACanvas->GetHandle(), AFlags, AParams, ALineSpacing);
}

TRect cxTextRectWithIndents(const TRect& ARect, const TcxTextParams& AParams, int ALeftIndent, int ARightIndent)
{
  TRect result = ARect;
  if (AParams.AutoIndents) {
    const int indent = 2 * AParams.OnePixel;
    result = {result.left + indent, result.top + indent, result.right - indent, result.bottom - indent};
  }
  result.left += ALeftIndent * AParams.OnePixel;
  result.right -= ARightIndent * AParams.OnePixel;
  return result;
}

TRect cxTextRectWithoutIndents(const TRect& ARect, const TcxTextParams& AParams, int ALeftIndent, int ARightIndent)
{
  TRect result = ARect;
  result.left -= ALeftIndent * AParams.OnePixel;
  result.right += ARightIndent * AParams.OnePixel;
  if (AParams.AutoIndents) {
    const int indent = 2 * AParams.OnePixel;
    result = {result.left - indent, result.top - indent, result.right + indent, result.bottom + indent};
  }
  return result;
}

// ---------------------------------------------------------------------------
// Character classes and line breaking

bool cxIsFullWidthChar(unsigned ACodePage, wchar_t C)
{
  if (C < 0x80)
    return false;
  if ((C >= 0x4E00 && C <= 0x9FFF) || (C >= 0x3040 && C <= 0x309F) || (C >= 0x30A0 && C <= 0x30FF) ||
      (C >= 0xAC00 && C <= 0xD7A3))
    return true;
  char bytes[8];
  return WideCharToMultiByte(ACodePage, 0, &C, 1, bytes, sizeof(bytes), nullptr, nullptr) > 1;
}

bool cxIsNoLineStartChar(wchar_t C)
{
  // Sorted, for the binary search.
  static constexpr wchar_t Chars[] = {
      0x0021, 0x0025, 0x0029, 0x002C, 0x002E, 0x003A, 0x003B, 0x003E, 0x003F, 0x005D, 0x007D, 0x00A8, 0x00B0,
      0x00B7, 0x02C7, 0x02C9, 0x2013, 0x2014, 0x2015, 0x2016, 0x2018, 0x2019, 0x201D, 0x2022, 0x2025, 0x2026,
      0x2027, 0x2032, 0x2033, 0x2103, 0x2236, 0x2574, 0x3001, 0x3002, 0x3003, 0x3005, 0x3009, 0x300B, 0x300D,
      0x300F, 0x3011, 0x3015, 0x3017, 0x301E, 0x309B, 0x309C, 0xFE30, 0xFE31, 0xFE33, 0xFE34, 0xFE36, 0xFE38,
      0xFE3A, 0xFE3C, 0xFE3E, 0xFE40, 0xFE42, 0xFE44, 0xFE4F, 0xFE50, 0xFE51, 0xFE52, 0xFE54, 0xFE55, 0xFE56,
      0xFE57, 0xFE5A, 0xFE5C, 0xFE5E, 0xFF01, 0xFF02, 0xFF05, 0xFF07, 0xFF09, 0xFF0C, 0xFF0D, 0xFF0E, 0xFF1A,
      0xFF1B, 0xFF1E, 0xFF1F, 0xFF3D, 0xFF5C, 0xFF5D, 0xFF5E, 0xFF61, 0xFF63, 0xFF64, 0xFF9E, 0xFF9F};
  static_assert(std::ranges::is_sorted(Chars));
  return C >= 0xFFE0 || std::binary_search(std::begin(Chars), std::end(Chars), C);
}

const wchar_t* cxFindWordEnd(unsigned ACodePage, const wchar_t* AFrom, const wchar_t* AEnd)
{
  if (AFrom >= AEnd || IsLineBreak(*AFrom))
    return AFrom;
  if (IsBlank(*AFrom))
    return AFrom + 1;
  if (cxIsFullWidthChar(ACodePage, *AFrom)) {
    const wchar_t* p = AFrom + 1;
    // Closing punctuation stays with the character before it.
    if (p < AEnd && cxIsNoLineStartChar(*p))
      ++p;
    return p;
  }
  for (const wchar_t* p = AFrom + 1; p < AEnd; ++p)
    if (IsBlank(*p) || IsLineBreak(*p) || cxIsFullWidthChar(ACodePage, *p))
      return p;
  return AEnd;
}

namespace {

int MeasureWidth(HDC DC, const wchar_t* AText, int ALength, TcxMeasureTextProc AMeasure, void* AUserData,
                 bool AExpandTabs)
{
  TSize size{};
  AMeasure(DC, AText, ALength, size, AUserData, AExpandTabs);
  return size.cx;
}

// How many of the first characters of a word fit AWidth: at least one, so
// every row makes progress.
int cxFitWordPrefix(HDC DC, const wchar_t* AText, int ALength, bool AExpandTabs, int AWidth,
                    TcxMeasureTextProc AMeasure, void* AUserData)
{
  int lo = 0;
  int hi = ALength;
  while (hi - lo > 1) {
    const int mid = lo + (hi - lo) / 2;
    if (MeasureWidth(DC, AText, mid, AMeasure, AUserData, AExpandTabs) > AWidth)
      hi = mid;
    else
      lo = mid;
  }
  return ALength > 0 ? std::max(lo, 1) : 0;
}

const wchar_t* FindLineBreak(const wchar_t* AFrom, const wchar_t* AEnd)
{
  return std::find_if(AFrom, AEnd, IsLineBreak);
}

}  // namespace

const wchar_t* cxFindRowEnd(HDC DC, const wchar_t* ARowStart, int ACount, void* AUserData,
                            TcxMeasureTextProc AMeasure, TcxTextRow& ARow, const TcxRowBreakOptions& AOptions,
                            int AMaxWidth)
{
  const wchar_t* const end = ARowStart + ACount;
  ARow.Text = ARowStart;
  ARow.BreakCount = 0;
  const wchar_t* rowEnd = end;
  const wchar_t* next = end;
  const wchar_t* p = ARowStart;
  int previousWidth = 0;
  bool brokenByWidth = false;
  while (p < end) {
    const wchar_t* q = AOptions.WrapWords ? cxFindWordEnd(CP_ACP, p, end) : FindLineBreak(p, end);
    rowEnd = q;
    const int width = MeasureWidth(DC, ARowStart, static_cast<int>(q - ARowStart), AMeasure, AUserData,
                                   AOptions.ExpandTabs);
    if (AOptions.WrapWords && width > AMaxWidth) {
      if (p != ARowStart && !AOptions.LastRowWithEllipsis) {
        rowEnd = next = p;
        brokenByWidth = true;
      } else if (AOptions.WrapChars) {
        next = p + cxFitWordPrefix(DC, p, static_cast<int>(q - p), AOptions.ExpandTabs, AMaxWidth - previousWidth,
                                   AMeasure, AUserData);
        rowEnd = next;
      } else {
        // The over-long word stays whole on its row.
        brokenByWidth = true;
        next = q;
        if (AOptions.EndEllipsis && q < end && IsLineBreak(*q)) {
          next = SkipLineBreak(q, end);
          brokenByWidth = false;
        }
      }
      break;
    }
    if (q < end && IsLineBreak(*q)) {
      next = SkipLineBreak(q, end);
      break;
    }
    p = q;
    previousWidth = width;
  }
  if (p >= end)
    next = end;

  if (brokenByWidth && next < end) {
    const bool dropBefore = AOptions.AlignX == taCenterX || AOptions.AlignX == taRight;
    const bool skipAt = AOptions.AlignX == taLeft || AOptions.AlignX == taCenterX;
    if (dropBefore && rowEnd > ARowStart && IsBlank(rowEnd[-1]))
      --rowEnd;
    if (skipAt && IsBlank(*next))
      ++next;
    if (AOptions.ExcelStyle)
      while (next < end && *next == L' ')
        ++next;
  }

  if (AOptions.AlignX == taDistributeX || (AOptions.AlignX == taJustifyX && brokenByWidth)) {
    while (rowEnd > ARowStart && IsBlank(rowEnd[-1]))
      --rowEnd;
    if (rowEnd > ARowStart)
      ARow.BreakCount = static_cast<int>(std::count_if(ARowStart, rowEnd - 1, IsBlank));
  }
  ARow.TextLength = static_cast<int>(rowEnd - ARowStart);
  return next;
}

// ---------------------------------------------------------------------------
// Layout and placement

bool cxBuildTextRows(HDC DC, const wchar_t* AText, int ALength, TcxMeasureTextProc AMeasure, void* AUserData,
                     int AMaxRows, int& ARowCount, TcxTextRows& ARows, const TcxTextParams& AParams,
                     const TRect& ARect)
{
  ARowCount = 0;
  ARows.SetCount(0);
  if (ALength <= 0)
    return true;

  auto addRow = [&](const wchar_t* ARowStart) -> TcxTextRow& {
    ARows.SetCount(++ARowCount);
    TcxTextRow& row = ARows.Row(ARowCount - 1);
    row.StartOffset = static_cast<int>(ARowStart - AText);
    return row;
  };
  auto measureRow = [&](TcxTextRow& ARow) {
    AMeasure(DC, ARow.Text, ARow.TextLength, ARow.TextExtents, AUserData, AParams.ExpandTabs);
  };

  if (AParams.CalcRect && AParams.SingleLine) {
    TcxTextRow& row = addRow(AText);
    row.Text = AText;
    row.TextLength = ALength;
    measureRow(row);
    return true;
  }

  const int availableWidth = RectWidth(ARect);
  const int availableHeight = RectHeight(ARect);
  const bool ellipsis = !AParams.NoClip && AParams.EndEllipsis && !AParams.CalcRect && !AParams.CalcRowCount &&
                        AParams.TextAlignX != taJustifyX && AParams.TextAlignX != taDistributeX;
  const bool clipsToHeight = AParams.TextAlignY == taTop && !AParams.CalcRect && !AParams.CalcRowCount;
  TcxRowBreakOptions options = cxRowBreakOptions(AParams);

  const wchar_t* p = AText;
  const wchar_t* const end = AText + ALength;
  int totalHeight = 0;
  bool last = false;
  while (p < end && !last) {
    totalHeight += AParams.FullRowHeight;
    if (AParams.SingleLine)
      last = true;
    else if (clipsToHeight)
      // A row whose bottom reaches the rectangle's bottom is the last one
      // that shows: a further row would start outside. Edit controls show
      // whole rows only.
      last = AParams.EditControl && !AParams.NoClip ? totalHeight + AParams.FullRowHeight > availableHeight
                                                     : totalHeight >= availableHeight;
    else
      last = AMaxRows >= 1 && ARowCount + 1 == AMaxRows;
    options.LastRowWithEllipsis = last && ellipsis;
    TcxTextRow& row = addRow(p);
    p = cxFindRowEnd(DC, p, static_cast<int>(end - p), AUserData, AMeasure, row, options, availableWidth);
    measureRow(row);
    if (AMaxRows > 0 && ARowCount >= AMaxRows)
      break;
  }

  if (AParams.CalcRect || AParams.CalcRowCount)
    return true;
  if (AParams.SingleLine)
    return ARows.Row(ARowCount - 1).TextExtents.cx <= availableWidth;
  return p >= end;
}

void cxPlaceTextRows(HDC, const TRect& ARect, TcxTextParams& AParams, int ARowCount, TcxTextRows& ARows)
{
  int extra = 0;
  if (AParams.TextAlignY == taDistributeY && ARowCount > 1) {
    const int spare = RectHeight(ARect) - AParams.RowHeight;
    if (AParams.RowHeight < static_cast<double>(spare) / (ARowCount - 1)) {
      AParams.FullRowHeight = spare / (ARowCount - 1);
      extra = spare % (ARowCount - 1);
    }
  }

  int top;
  switch (AParams.TextAlignY) {
    case taCenterY:
      top = ARect.top + (RectHeight(ARect) - ARowCount * AParams.FullRowHeight) / 2;
      break;
    case taBottom:
      top = ARect.bottom + AParams.tmExternalLeading - ARowCount * AParams.FullRowHeight;
      break;
    default:
      top = ARect.top;
  }
  if (AParams.PreventTopExceed)
    top = std::max(top, static_cast<int>(ARect.top));

  for (int i = 0; i < ARowCount; ++i) {
    TcxTextRow& row = ARows.Row(i);
    const int spare = RectWidth(ARect) - row.TextExtents.cx;
    int x;
    switch (AParams.TextAlignX) {
      case taCenterX:
        // The two forms differ by a pixel for an odd spare; single-line text
        // leans right as the platform's centred text does.
        x = AParams.SingleLine || !AParams.WordBreak ? ARect.right - spare / 2 - row.TextExtents.cx
                                                     : ARect.left + spare / 2;
        break;
      case taRight:
        x = ARect.right - row.TextExtents.cx;
        break;
      default:
        x = ARect.left;
    }
    if (AParams.PreventLeftExceed)
      x = std::max(x, static_cast<int>(ARect.left));
    row.TextOriginX = x;
    row.TextOriginY = top;
    top += AParams.FullRowHeight;
    if (extra > 0) {
      ++top;
      --extra;
    }
  }
}

int cxLongestTextRowWidth(const TcxTextRows& ARows, int ACount)
{
  int result = 0;
  for (int i = 0, n = std::min(ACount, ARows.Count); i < n; ++i)
    result = std::max(result, static_cast<int>(ARows.Row(i).TextExtents.cx));
  return result;
}

// ---------------------------------------------------------------------------
// Output

namespace {

// The clip region of a DC for a scope: saved on first need, put back at the
// end.
class TcxTextClipGuard {
 public:
  explicit TcxTextClipGuard(HDC ADC) : FDC(ADC) {}
  TcxTextClipGuard(const TcxTextClipGuard&) = delete;
  TcxTextClipGuard& operator=(const TcxTextClipGuard&) = delete;
  ~TcxTextClipGuard() { Restore(); }

  void Save()
  {
    if (!FSaved) {
      dxSaveClipRegion(FDC, FRegion);
      FSaved = true;
    }
  }
  void Restore()
  {
    if (FSaved) {
      dxRestoreClipRegion(FDC, std::exchange(FRegion, nullptr));
      FSaved = false;
    }
  }

 private:
  HDC FDC;
  HRGN FRegion = nullptr;
  bool FSaved = false;
};

class TcxTextRowsPainter {
 public:
  TcxTextRowsPainter(HDC ADC, const TRect& ARect, const TcxTextParams& AParams, const TcxTextMeasurer& AMeasurer)
      : FDC(ADC), FRect(ARect), FParams(AParams), FMeasurer(AMeasurer)
  {
  }

  void PrepareEllipsis(TcxTextRow& ARow) const;
  void DrawEllipsis(const TcxTextRow& ARow) const;
  void DrawRow(const TcxTextRow& ARow) const;
  void DrawPatternedRow(const TcxTextRow& ARow) const;
  // The pixels of characters [AStart, AEnd) of the row (row-relative), as a
  // region owned by the caller; 0 when they cover nothing.
  HRGN HighlightRegion(const TcxTextRow& ARow, int AStart, int AEnd) const;
  TRect Band(const TcxTextRow& ARow) const
  {
    return {FRect.left, ARow.TextOriginY, FRect.right, ARow.TextOriginY + FParams.FullRowHeight};
  }

 private:
  HDC FDC;
  TRect FRect;
  const TcxTextParams& FParams;
  const TcxTextMeasurer& FMeasurer;
};

void TcxTextRowsPainter::PrepareEllipsis(TcxTextRow& ARow) const
{
  const int ellipsis = FParams.EndEllipsisWidth;
  const int available = std::max(RectWidth(FRect) - ellipsis, 0);
  int fit = ARow.TextLength > 0
                ? FMeasurer.PartialExtents(FDC, ARow.Text, ARow.TextLength, available, nullptr, FMeasurer.UserData)
                : 0;
  const bool alignedToReadingStart =
      FParams.TextAlignX == taLeft || (FParams.TextAlignX == taRight && FParams.RTLReading);
  if (fit == 0 && alignedToReadingStart)
    fit = std::min(1, ARow.TextLength);
  ARow.TextLength = fit;
  FMeasurer.Measure(FDC, ARow.Text, ARow.TextLength, ARow.TextExtents, FMeasurer.UserData, FParams.ExpandTabs);
  const int width = ARow.TextExtents.cx;
  const int centred = (RectWidth(FRect) - (width + ellipsis)) / 2 + FRect.left;
  switch (FParams.TextAlignX) {
    case taLeft:
      if (FParams.RTLReading)
        ARow.TextOriginX += ellipsis;
      break;
    case taCenterX:
      ARow.TextOriginX = FParams.RTLReading ? centred + ellipsis : centred;
      break;
    case taRight:
      ARow.TextOriginX = FParams.RTLReading ? FRect.right - width : FRect.right - width - ellipsis;
      break;
    default:
      break;
  }
}

void TcxTextRowsPainter::DrawEllipsis(const TcxTextRow& ARow) const
{
  const int ellipsis = FParams.EndEllipsisWidth;
  const int top = ARow.TextOriginY;
  TRect r;
  UINT options = 0;
  if (FParams.RTLReading) {
    const int right = FParams.TextAlignX == taLeft ? FRect.left + ellipsis : ARow.TextOriginX;
    r = {right - ellipsis, top, right, top + FParams.FullRowHeight};
    options |= ETO_RTLREADING;
  } else {
    const int left = ARow.TextOriginX + ARow.TextExtents.cx;
    r = {left, top, left + ellipsis, top + FParams.FullRowHeight};
  }
  const bool crosses = r.left < FRect.left || r.right > FRect.right || r.top < FRect.top || r.bottom > FRect.bottom;
  if (!FParams.NoClip && crosses) {
    options |= ETO_CLIPPED;
    IntersectRect(&r, &r, &FRect);
  }
  if (IsRectEmpty(&r))
    return;
  const int x = FParams.RTLReading ? r.right - ellipsis : r.left;
  ExtTextOutW(FDC, x, top, options, &r, L"...", 3, nullptr);
}

void TcxTextRowsPainter::DrawRow(const TcxTextRow& ARow) const
{
  if (FParams.ExpandTabs) {
    const int tabOrigin = FParams.RTLReading ? ARow.TextOriginX + ARow.TextExtents.cx : ARow.TextOriginX;
    TabbedTextOutW(FDC, ARow.TextOriginX, ARow.TextOriginY, ARow.Text, std::min(ARow.TextLength, 4096), 0, nullptr,
                   tabOrigin);
  } else {
    TextOutW(FDC, ARow.TextOriginX, ARow.TextOriginY, ARow.Text, ARow.TextLength);
  }
}

void TcxTextRowsPainter::DrawPatternedRow(const TcxTextRow& ARow) const
{
  const TRect band = Band(ARow);
  const int onePixel = FParams.OnePixel;
  TRect r{ARow.TextOriginX, band.top + onePixel,
          std::min(static_cast<int>(FRect.right), ARow.TextOriginX + static_cast<int>(ARow.TextExtents.cx)),
          band.bottom - onePixel};
  if (r.bottom - r.top < onePixel)
    r.bottom = r.top + onePixel;
  const HBRUSH brush = PatternBrushes[FParams.Bold ? 1 : 0];
  if (!brush)
    return;
  // The pattern's 0 bits take the text colour, its 1 bits the background.
  const COLORREF oldBackground = SetBkColor(FDC, vcl::ColorToRGB(vcl::clWindow));
  FillRect(FDC, &r, brush);
  SetBkColor(FDC, oldBackground);
}

HRGN TcxTextRowsPainter::HighlightRegion(const TcxTextRow& ARow, int AStart, int AEnd) const
{
  const TRect band = Band(ARow);
  if (FParams.RTLReading) {
    const TRect bounds{ARow.TextOriginX, band.top, ARow.TextOriginX + ARow.TextExtents.cx, band.bottom};
    return dxGetCharacterRangeRegion(FDC, ARow.Text, ARow.TextLength, true, nullptr, AEnd - AStart, AStart, bounds);
  }
  std::vector<int> extents(ARow.TextLength);
  FMeasurer.PartialExtents(FDC, ARow.Text, ARow.TextLength, std::numeric_limits<int>::max(), extents.data(),
                           FMeasurer.UserData);
  const int left = ARow.TextOriginX + (AStart > 0 ? extents[AStart - 1] : 0);
  const int right = ARow.TextOriginX + extents[AEnd - 1];
  if (left >= right)
    return nullptr;
  return CreateRectRgn(left, band.top, right, band.bottom);
}

bool IsMetafileDC(HDC DC)
{
  const DWORD type = GetObjectType(DC);
  return type == OBJ_METADC || type == OBJ_ENHMETADC;
}

}  // namespace

void cxDrawTextRowsHighlighted(HDC DC, const TRect& ARect, const TcxTextParams& AParams, bool ANotAllFitted,
                               TColor AHighlightTextColor, TColor AHighlightColor, int AHighlightLength,
                               int AHighlightStart, int ARowCount, TcxTextRows& ARows)
{
  cxDrawTextRowsHighlighted(DC, ARect, AParams, ANotAllFitted, AHighlightTextColor, AHighlightColor,
                            AHighlightLength, AHighlightStart, ARowCount, ARows, cxTextMeasurerForDC());
}

void cxDrawTextRowsHighlighted(HDC DC, const TRect& ARect, const TcxTextParams& AParams, bool ANotAllFitted,
                               TColor AHighlightTextColor, TColor AHighlightColor, int AHighlightLength,
                               int AHighlightStart, int ARowCount, TcxTextRows& ARows,
                               const TcxTextMeasurer& AMeasurer)
{
  // Background mode and text alignment for the scope of the drawing.
  const vcl::TBkModeGuard bkMode(DC, TRANSPARENT);
  const vcl::TTextAlignGuard align(DC);
  if (AParams.RTLReading)
    SetTextAlign(DC, GetTextAlign(DC) | TA_RTLREADING);
  const bool highlighting = AHighlightLength >= 1 && !IsMetafileDC(DC);
  vcl::TOwnedBrush highlightBrush;
  if (highlighting && IsRealColor(AHighlightColor))
    highlightBrush.Reset(CreateSolidBrush(vcl::ColorToRGB(AHighlightColor)));
  const TcxTextRowsPainter painter(DC, ARect, AParams, AMeasurer);
  const bool justifies = AParams.TextAlignX == taJustifyX || AParams.TextAlignX == taDistributeX;
  const long long highlightEnd = static_cast<long long>(AHighlightStart) + AHighlightLength;

  for (int i = 0; i < ARowCount; ++i) {
    TcxTextRow& row = ARows.Row(i);
    const bool lastRow = i == ARowCount - 1;
    if (row.TextLength == 0) {
      if (lastRow && ANotAllFitted && AParams.EndEllipsis) {
        painter.PrepareEllipsis(row);
        painter.DrawEllipsis(row);
      }
      continue;
    }
    if (AParams.PatternedText) {
      painter.DrawPatternedRow(row);
      continue;
    }

    bool ellipsis =
        AParams.EndEllipsis && lastRow && (ANotAllFitted || row.TextExtents.cx > RectWidth(ARect));
    bool justified = false;
    if (justifies && !ellipsis) {
      const int extra = RectWidth(ARect) - row.TextExtents.cx;
      if (extra > 0 && row.BreakCount > 0)
        justified = SetTextJustification(DC, extra, row.BreakCount);
    }
    const TRect band = painter.Band(row);
    TcxTextClipGuard rowClip(DC);
    if (!AParams.NoClip &&
        (row.TextExtents.cx > RectWidth(ARect) || band.top < ARect.top || band.bottom > ARect.bottom)) {
      rowClip.Save();
      TRect clip;
      IntersectRect(&clip, &band, &ARect);
      IntersectClipRect(DC, clip.left, clip.top, clip.right, clip.bottom);
    }
    if (ellipsis)
      painter.PrepareEllipsis(row);

    const long long rowEnd = static_cast<long long>(row.StartOffset) + row.TextLength;
    const long long partStart = std::max<long long>(AHighlightStart, row.StartOffset);
    const long long partEnd = std::min(highlightEnd, rowEnd);
    if (highlighting && partStart < partEnd) {
      vcl::TOwnedRegion part(painter.HighlightRegion(row, static_cast<int>(partStart - row.StartOffset),
                                                     static_cast<int>(partEnd - row.StartOffset)));
      if (!part) {
        ellipsis = false;
      } else {
        rowClip.Save();
        {
          TcxTextClipGuard partClip(DC);
          partClip.Save();
          ExtSelectClipRgn(DC, part.Get(), RGN_AND);
          if (highlightBrush)
            FillRgn(DC, part.Get(), highlightBrush.Get());
          const COLORREF textColor = GetTextColor(DC);
          if (IsRealColor(AHighlightTextColor))
            SetTextColor(DC, vcl::ColorToRGB(AHighlightTextColor));
          painter.DrawRow(row);
          partClip.Restore();
          if (ellipsis && highlightEnd >= rowEnd) {
            painter.DrawEllipsis(row);
            ellipsis = false;
          }
          SetTextColor(DC, textColor);
        }
        ExtSelectClipRgn(DC, part.Get(), RGN_DIFF);
      }
    }

    painter.DrawRow(row);
    if (ellipsis)
      painter.DrawEllipsis(row);
    rowClip.Restore();
    if (justified)
      SetTextJustification(DC, 0, 0);
  }
}

// ---------------------------------------------------------------------------
// The whole operation

int cxDrawTextEx(HDC DC, const rtl::String& AText, TRect& ARect, double ALineSpacing, TColor ATextColor,
                 int ARightIndent, int ALeftIndent, int AMaxRows, TColor AHighlightTextColor, TColor AHighlightColor,
                 vcl::TFont* AFont, int AHighlightLength, int AHighlightStart, unsigned AFlags,
                 const TcxTextMeasurer& AMeasurer)
{
  if (AText.empty())
    return 0;
  const vcl::TSelectObjectGuard font(DC, GetCurrentObject(DC, OBJ_FONT));
  const vcl::TTextColorGuard textColor(DC);
  if (AFont) {
    SelectObject(DC, AFont->GetHandle());
    SetTextColor(DC, vcl::ColorToRGB(AFont->GetColor()));
  }
  if (IsRealColor(ATextColor))
    SetTextColor(DC, vcl::ColorToRGB(ATextColor));

  TcxTextParams params;
  PrepareTextParams(DC, AFlags, params, ALineSpacing, AMeasurer);
  const TRect textRect = cxTextRectWithIndents(ARect, params, ALeftIndent, ARightIndent);
  const bool hasWidth = textRect.right > textRect.left;
  if (!hasWidth || (!params.CalcRect && textRect.bottom <= textRect.top))
    return 0;

  TcxTextRows rows;
  rows.Text = params.HidePrefix ? dxStripAmpersands(AText) : AText;
  if (rows.Text.empty())
    return 0;
  const wchar_t* const text = rows.Text.c_str();
  const int length = static_cast<int>(rows.Text.size());

  int rowCount = 0;
  const bool fitted = cxBuildTextRows(DC, text, length, AMeasurer.Measure, AMeasurer.UserData, AMaxRows, rowCount,
                                      rows, params, textRect);
  if (params.CalcRect) {
    if (AMaxRows > 0 && AMaxRows < rowCount)
      rowCount = AMaxRows;
    TRect calcRect = textRect;
    calcRect.right = calcRect.left + cxLongestTextRowWidth(rows, rowCount);
    if (!params.SingleLine)
      cxBuildTextRows(DC, text, length, AMeasurer.Measure, AMeasurer.UserData, AMaxRows, rowCount, rows, params,
                      calcRect);
    cxPlaceTextRows(DC, calcRect, params, rowCount, rows);
    calcRect.bottom = rows.Row(rowCount - 1).TextOriginY + params.RowHeight;
    ARect = cxTextRectWithoutIndents(calcRect, params, ALeftIndent, ARightIndent);
  } else {
    cxPlaceTextRows(DC, textRect, params, rowCount, rows);
    if (AHighlightStart < 0 || AHighlightStart >= length)
      AHighlightLength = 0;
    else
      AHighlightLength = std::clamp(AHighlightLength, 0, length - AHighlightStart);
    cxDrawTextRowsHighlighted(DC, textRect, params, !fitted, AHighlightTextColor, AHighlightColor, AHighlightLength,
                              AHighlightStart, rowCount, rows, AMeasurer);
  }

  const int textHeight = rows.Row(rowCount - 1).TextOriginY + params.RowHeight - textRect.top;
  if (params.CalcRowCount)
    return rowCount;
  return textHeight != 0 ? textHeight : rowCount;
}

int cxDrawTextEx(HDC DC, const rtl::String& AText, TRect& ARect, double ALineSpacing, TColor ATextColor,
                 int ARightIndent, int ALeftIndent, int AMaxRows, TColor AHighlightTextColor, TColor AHighlightColor,
                 vcl::TFont* AFont, int AHighlightLength, int AHighlightStart, unsigned AFlags)
{
  return cxDrawTextEx(DC, AText, ARect, ALineSpacing, ATextColor, ARightIndent, ALeftIndent, AMaxRows,
                      AHighlightTextColor, AHighlightColor, AFont, AHighlightLength, AHighlightStart, AFlags,
                      cxTextMeasurerForDC());
}

int cxDrawTextEx(HDC DC, const rtl::String& AText, TRect& ARect, unsigned AFlags, vcl::TFont* AFont,
                 TColor ATextColor, int ALeftIndent, int ARightIndent, int AMaxRows, double ALineSpacing)
{
  return cxDrawTextEx(DC, AText, ARect, ALineSpacing, ATextColor, ARightIndent, ALeftIndent, AMaxRows,
                      vcl::clDefault, vcl::clDefault, AFont, 0, 0, AFlags);
}

// ---------------------------------------------------------------------------
// Rotated, wrapped text

namespace {

struct TcxRotatedLine {
  int Start;
  int Length;
};

int LineWidth(HDC DC, const wchar_t* AText, int ALength)
{
  SIZE size{};
  return GetTextExtentPoint32W(DC, AText, ALength, &size) ? size.cx : 0;
}

// Cuts AText before spaces and line breaks into lines narrower than
// AMaxWidth; a word longer than that stays whole. Line breaks end a line and
// are consumed with it: drawn, they would show as boxes.
std::vector<TcxRotatedLine> WrapRotatedLines(HDC DC, const rtl::String& AText, int AMaxWidth)
{
  std::vector<TcxRotatedLine> lines;
  const wchar_t* const text = AText.c_str();
  const wchar_t* const end = text + AText.size();
  const wchar_t* p = text;
  auto isCut = [](wchar_t C) { return C == L' ' || IsLineBreak(C); };
  while (p < end) {
    if (IsLineBreak(*p)) {
      lines.push_back({static_cast<int>(p - text), 0});
      p = SkipLineBreak(p, end);
      continue;
    }
    const wchar_t* lineEnd = nullptr;
    for (const wchar_t* from = p + 1;;) {
      const wchar_t* const cut = std::find_if(from, end, isCut);
      if (LineWidth(DC, p, static_cast<int>(cut - p)) >= AMaxWidth) {
        lineEnd = lineEnd ? lineEnd : cut;
        break;
      }
      lineEnd = cut;
      if (cut == end || IsLineBreak(*cut))
        break;
      from = cut + 1;
    }
    lines.push_back({static_cast<int>(p - text), static_cast<int>(lineEnd - p)});
    p = lineEnd;
    if (p < end)
      p = *p == L' ' ? p + 1 : SkipLineBreak(p, end);
  }
  return lines;
}

}  // namespace

void cxDrawTextRotatedWrapped(HDC DC, const TRect& ARect, const rtl::String& AText, int AFontSize, int ADirection,
                              bool AOverflowToEnd, bool AOverflowToStart, bool AWordWrap, int AHorzAlign,
                              int AVertAlign, vcl::TFont* AFont)
{
  if (AText.empty())
    return;
  LOGFONTW logFont{};
  if (AFont)
    logFont = AFont->GetLogFont();
  else
    GetObjectW(GetCurrentObject(DC, OBJ_FONT), sizeof(logFont), &logFont);
  const bool downward = ADirection == 0;
  logFont.lfEscapement = downward ? -900 : 900;
  logFont.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  if (AFontSize != 0)
    logFont.lfHeight = -MulDiv(AFontSize, GetDeviceCaps(DC, LOGPIXELSY), 72);
  const vcl::TOwnedFont font(CreateFontIndirectW(&logFont));

  // Declared after the font: the DC lets go of the font before it is freed.
  const vcl::TSelectObjectGuard oldFont(DC, GetCurrentObject(DC, OBJ_FONT));
  const vcl::TBkModeGuard bkMode(DC);
  const vcl::TTextAlignGuard align(DC);
  SelectObject(DC, font.Get());
  SetTextAlign(DC, downward ? TA_BOTTOM : TA_LEFT | TA_TOP);
  SetBkMode(DC, TRANSPARENT);
  const TRect r{ARect.left + 2, ARect.top + 2, ARect.right - 2, ARect.bottom - 2};
  const int height = RectHeight(r);

  const std::vector<TcxRotatedLine> lines =
      AWordWrap ? WrapRotatedLines(DC, AText, height)
                : std::vector<TcxRotatedLine>{{0, static_cast<int>(AText.size())}};
  SIZE zq{};
  GetTextExtentPoint32W(DC, L"Zq", 2, &zq);
  const int h = zq.cy;
  const int n = static_cast<int>(lines.size());

  int x;
  if (downward) {
    x = AHorzAlign == 1 ? (r.left + r.right + h * (n - 2)) / 2 : AHorzAlign == 2 ? r.left + h * (n - 1) : r.right - h;
    x = std::min(x, static_cast<int>(r.right) - h);
  } else {
    x = AHorzAlign == 1 ? (r.left + r.right - h * n) / 2 : AHorzAlign == 2 ? r.right - h * n : r.left;
    x = std::max(x, static_cast<int>(r.left));
  }

  for (const TcxRotatedLine& line : lines) {
    if (x < r.left || x >= r.right)
      break;
    const wchar_t* const text = AText.c_str() + line.Start;
    const int width = LineWidth(DC, text, line.Length);
    const int start = downward ? r.top : r.bottom;
    const int finish = downward ? r.bottom - width : r.top + width;
    int y = AVertAlign == 2 ? finish : AVertAlign == 1 ? (r.top + r.bottom + (downward ? -width : width)) / 2 : start;
    if (width > height)
      y = AOverflowToEnd ? finish : AOverflowToStart ? start : y;
    ExtTextOutW(DC, x, y, 0, nullptr, text, line.Length, nullptr);
    x += downward ? -h : h;
  }
}
