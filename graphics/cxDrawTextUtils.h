// The system's own multi-line text engine on a device context, for what the
// platform's DrawText cannot do: justified and distributed alignment, a
// line-spacing factor, indents, a row limit, far-east line breaking, an end
// ellipsis that keeps as much of the last row as fits, a highlighted range in
// its own colours, right-to-left reading and patterned rows for tiny fonts.
//
// - the flag word (cxdtf*) and the parameters made from it and the DC;
// - the rows (TcxTextRow, TcxTextRows) and the steps that build, place and
//   draw them, each usable on its own;
// - the measurer: every run of text is measured through one pair of
//   routines, so callers can substitute a cached measurer (and tests a
//   fixed-width one);
// - cxDrawTextEx, the whole operation, and cxDrawTextRotatedWrapped.
//
// The font is expected to be selected into the DC already; the engine works
// on the DC's current font unless cxDrawTextEx is given one.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <vector>

#include "platform/rtl/SystemTypes.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/vcl/Graphics.h"

RTL_DECLARE_UNIT(cxDrawTextUtils);

// ---------------------------------------------------------------------------
// Flags

inline constexpr unsigned cxdtfAlignXMask = 0x7;
inline constexpr unsigned cxdtfAlignYMask = 0x30;
inline constexpr unsigned cxdtfWordBreak = 0x100;
inline constexpr unsigned cxdtfSingleLine = 0x200;
inline constexpr unsigned cxdtfExpandTabs = 0x400;
inline constexpr unsigned cxdtfEndEllipsis = 0x800;
// Kept only when the font is too small to read (see cxPrepareTextParamsForDC).
inline constexpr unsigned cxdtfPatternedText = 0x1000;
inline constexpr unsigned cxdtfExternalLeading = 0x2000;
inline constexpr unsigned cxdtfEditControl = 0x4000;
inline constexpr unsigned cxdtfNoClip = 0x8000;
inline constexpr unsigned cxdtfAutoIndents = 0x10000;
inline constexpr unsigned cxdtfCharBreak = 0x20000;
inline constexpr unsigned cxdtfPreventLeftExceed = 0x40000;
inline constexpr unsigned cxdtfPreventTopExceed = 0x80000;
inline constexpr unsigned cxdtfCalcRect = 0x100000;
inline constexpr unsigned cxdtfCalcRowCount = 0x200000;
inline constexpr unsigned cxdtfHidePrefix = 0x1000000;
inline constexpr unsigned cxdtfExcelStyle = 0x2000000;
inline constexpr unsigned cxdtfRTLReading = 0x4000000;

// The ordinals are the values of the flag bits (vertical ones shifted by 4).
enum TcxTextAlignX : std::uint8_t { taLeft, taCenterX, taRight, taJustifyX, taDistributeX };
enum TcxTextAlignY : std::uint8_t { taTop, taCenterY, taBottom, taDistributeY };

// ---------------------------------------------------------------------------
// Parameters, rows and measuring

#pragma pack(push, 1)
// The layout parameters of a text for the current font of a DC (47 bytes).
struct TcxTextParams {
  std::int32_t RowHeight;  // tmHeight
  std::int32_t tmExternalLeading;  // 0 unless ExternalLeading
  std::int32_t FullRowHeight;  // distance between row tops
  std::int32_t EndEllipsisWidth;  // width of "..." when EndEllipsis
  bool Bold;
  wchar_t BreakChar;
  TcxTextAlignX TextAlignX;
  TcxTextAlignY TextAlignY;
  bool WordBreak;
  bool SingleLine;
  bool ExpandTabs;
  bool EndEllipsis;
  bool ExternalLeading;
  bool EditControl;
  bool ExcelStyle;
  bool NoClip;
  bool AutoIndents;
  bool PatternedText;
  bool PreventLeftExceed;
  bool PreventTopExceed;
  bool CharBreak;
  bool CalcRowCount;
  bool CalcRect;
  std::int32_t MaxCharWidth;
  std::uint8_t CharSet;
  std::int32_t OnePixel;  // logical units per device pixel
  bool HidePrefix;
  bool RTLReading;
};
#pragma pack(pop)
static_assert(sizeof(TcxTextParams) == 47);

struct TcxTextRow {
  // The row's first character inside the laid-out text.
  const wchar_t* Text;
  int TextLength;
  vcl::TSize TextExtents;
  // Spaces and tabs inside the row, for justification.
  int BreakCount;
  int TextOriginX;
  int TextOriginY;
  // Characters from the text start to the row start.
  int StartOffset;
};

using TcxDynamicTextRows = std::vector<TcxTextRow>;

// Laid-out text. The rows point into the text they were built from, so the
// text must outlive them; the first 32 rows need no allocation.
struct TcxTextRows {
  static constexpr int StaticCount = 32;

  int Count = 0;
  // The string the rows point into, when the rows own it (cxDrawTextEx).
  rtl::String Text;
  std::array<TcxTextRow, StaticCount> StaticRows{};
  TcxDynamicTextRows DynamicRows;

  TcxTextRow& Row(int AIndex) { return AIndex < StaticCount ? StaticRows[AIndex] : DynamicRows[AIndex - StaticCount]; }
  const TcxTextRow& Row(int AIndex) const
  {
    return AIndex < StaticCount ? StaticRows[AIndex] : DynamicRows[AIndex - StaticCount];
  }
  // Grows the dynamic rows (with room for four more) when needed and zeroes
  // the new last row.
  void SetCount(int AValue);
  // Releases the dynamic part.
  void Clear();
};

// The measuring routine: the extent of ALength characters of AText.
using TcxMeasureTextProc = void (*)(HDC DC, const wchar_t* AText, int ALength, vcl::TSize& ASize, void* AUserData,
                                    bool AExpandTabs);
// The partial extents of a run, as GetTextExtentExPoint gives them: fills
// AExtents[i] with the width of the first i + 1 characters (AExtents holds
// ALength entries) and answers how many characters fit AMaxWidth.
using TcxTextPartialExtentsProc = int (*)(HDC DC, const wchar_t* AText, int ALength, int AMaxWidth, int* AExtents,
                                          void* AUserData);

// The routines the drawing steps measure with; the engine's own use the DC.
struct TcxTextMeasurer {
  TcxMeasureTextProc Measure;
  TcxTextPartialExtentsProc PartialExtents;
  void* UserData;
};

// Without tabs GetTextExtentPoint32; with tabs GetTabbedTextExtent (or
// DrawText for long texts), corrected when its 16-bit width may have
// wrapped.
void cxMeasureTextExtents(HDC DC, const wchar_t* AText, int ALength, vcl::TSize& ASize, void* AUserData,
                          bool AExpandTabs);
// GetTextExtentExPoint.
int cxGetTextPartialExtents(HDC DC, const wchar_t* AText, int ALength, int AMaxWidth, int* AExtents,
                            void* AUserData);
// The engine's measurer: the two routines above.
TcxTextMeasurer cxTextMeasurerForDC();

// What one layout makes of the parameters.
struct TcxRowBreakOptions {
  TcxTextAlignX AlignX;
  bool WrapWords;
  bool WrapChars;
  bool CalcRect;
  bool EditControl;
  bool EndEllipsis;
  bool ExpandTabs;
  bool ExcelStyle;
  bool SingleLine;
  bool LastRowWithEllipsis;
};

TcxRowBreakOptions cxRowBreakOptions(const TcxTextParams& AParams);

// ---------------------------------------------------------------------------
// Parameters

// Fills AParams for the DC's current font and AFlags. CharBreak is on
// whenever the system locale is a far-east one.
void cxPrepareTextParamsForDC(HDC DC, unsigned AFlags, TcxTextParams& AParams, double ALineSpacing = 1.0);
// As above, after making the canvas's handle and font valid.
void cxPrepareTextParams(vcl::TCanvas* ACanvas, unsigned AFlags, TcxTextParams& AParams, double ALineSpacing = 1.0);

// ARect shrunk by the automatic indents (2 pixels a side) and the given ones.
vcl::TRect cxTextRectWithIndents(const vcl::TRect& ARect, const TcxTextParams& AParams, int ALeftIndent,
                                 int ARightIndent);
// The reverse of cxTextRectWithIndents.
vcl::TRect cxTextRectWithoutIndents(const vcl::TRect& ARect, const TcxTextParams& AParams, int ALeftIndent,
                                    int ARightIndent);

// ---------------------------------------------------------------------------
// Line breaking

// C >= $80 in one of the CJK, kana or hangul ranges, or a character taking
// more than one byte in ACodePage.
bool cxIsFullWidthChar(unsigned ACodePage, wchar_t C);
// Closing punctuation that far-east rules keep off the start of a line.
bool cxIsNoLineStartChar(wchar_t C);
// Where the word starting at AFrom ends (a space or a full-width character
// is a word of its own).
const wchar_t* cxFindWordEnd(unsigned ACodePage, const wchar_t* AFrom, const wchar_t* AEnd);
// Sets ARow's Text, TextLength and BreakCount for the row starting at
// ARowStart (ACount characters remain) and answers where the next row starts.
const wchar_t* cxFindRowEnd(HDC DC, const wchar_t* ARowStart, int ACount, void* AUserData,
                            TcxMeasureTextProc AMeasure, TcxTextRow& ARow, const TcxRowBreakOptions& AOptions,
                            int AMaxWidth);

// ---------------------------------------------------------------------------
// Layout, placement and output

// Breaks the text into rows for ARect (no row limit when AMaxRows < 1);
// True when the whole text fitted.
bool cxBuildTextRows(HDC DC, const wchar_t* AText, int ALength, TcxMeasureTextProc AMeasure, void* AUserData,
                     int AMaxRows, int& ARowCount, TcxTextRows& ARows, const TcxTextParams& AParams,
                     const vcl::TRect& ARect);
// Sets every row's origin by the alignment; distributed vertical alignment
// may widen AParams.FullRowHeight.
void cxPlaceTextRows(HDC DC, const vcl::TRect& ARect, TcxTextParams& AParams, int ARowCount, TcxTextRows& ARows);
// The widest row among the first ACount.
int cxLongestTextRowWidth(const TcxTextRows& ARows, int ACount);

// Draws laid-out rows, the characters [AHighlightStart, AHighlightStart +
// AHighlightLength) on a highlight background. Rows that get the ellipsis are
// shortened in ARows.
void cxDrawTextRowsHighlighted(HDC DC, const vcl::TRect& ARect, const TcxTextParams& AParams, bool ANotAllFitted,
                               vcl::TColor AHighlightTextColor, vcl::TColor AHighlightColor, int AHighlightLength,
                               int AHighlightStart, int ARowCount, TcxTextRows& ARows);
void cxDrawTextRowsHighlighted(HDC DC, const vcl::TRect& ARect, const TcxTextParams& AParams, bool ANotAllFitted,
                               vcl::TColor AHighlightTextColor, vcl::TColor AHighlightColor, int AHighlightLength,
                               int AHighlightStart, int ARowCount, TcxTextRows& ARows,
                               const TcxTextMeasurer& AMeasurer);

// Lays out and draws AText in ARect, or with cxdtfCalcRect only sets ARect
// to the rectangle the text needs. Answers the row count with
// cxdtfCalcRowCount, else the text height (the row count when that is 0);
// 0 for an empty text. The DC's font and text colour are left as they were.
int cxDrawTextEx(HDC DC, const rtl::String& AText, vcl::TRect& ARect, double ALineSpacing, vcl::TColor ATextColor,
                 int ARightIndent, int ALeftIndent, int AMaxRows, vcl::TColor AHighlightTextColor,
                 vcl::TColor AHighlightColor, vcl::TFont* AFont, int AHighlightLength, int AHighlightStart,
                 unsigned AFlags);
// Without a highlight.
int cxDrawTextEx(HDC DC, const rtl::String& AText, vcl::TRect& ARect, unsigned AFlags, vcl::TFont* AFont = nullptr,
                 vcl::TColor ATextColor = vcl::clDefault, int ALeftIndent = 0, int ARightIndent = 0,
                 int AMaxRows = 0, double ALineSpacing = 1.0);
// The whole operation with another measurer (a cached one).
int cxDrawTextEx(HDC DC, const rtl::String& AText, vcl::TRect& ARect, double ALineSpacing, vcl::TColor ATextColor,
                 int ARightIndent, int ALeftIndent, int AMaxRows, vcl::TColor AHighlightTextColor,
                 vcl::TColor AHighlightColor, vcl::TFont* AFont, int AHighlightLength, int AHighlightStart,
                 unsigned AFlags, const TcxTextMeasurer& AMeasurer);

// Text in a font turned by 90 degrees (ADirection 0: running downward, 1:
// upward), optionally wrapped into columns across ARect. AHorzAlign and
// AVertAlign: 0 start, 1 centre, 2 end.
void cxDrawTextRotatedWrapped(HDC DC, const vcl::TRect& ARect, const rtl::String& AText, int AFontSize,
                              int ADirection, bool AOverflowToEnd, bool AOverflowToStart, bool AWordWrap,
                              int AHorzAlign, int AVertAlign, vcl::TFont* AFont);
