// Text measuring and control painting of the graphics unit, outside the
// canvas wrapper:
// - measuring on raw DCs or through the shared screen canvas (which takes
//   the font, measures and is put back to sleep with Dormant);
// - the narrowest rectangle a text needs for a number of lines, rotated and
//   word-wrapped text;
// - painting a control (with or without its children) or a control's parent
//   background onto any canvas, guarded so that a parent's background paint
//   never re-enters itself;
// - running a paint procedure horizontally mirrored for right-to-left
//   layouts.
// User-interface thread only: the guard lists and the screen canvas are not
// locked.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "graphics/cxGraphics.h"
#include "platform/rtl/Classes.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/Graphics.h"

// A paint step handed to the mirroring routines; it captures what it draws.
using TcxPaintProc = std::function<void()>;

// The unit's start-up and finish steps for this part (the window guard
// list), run by the graphics unit.
void cxGraphicsControlsInitialize();
void cxGraphicsControlsFinalize();

// ---------------------------------------------------------------------------
// Measuring

// GetTextExtentPoint32 of the first ALength characters (-1: all); ASize is
// 0 x 0 until the call succeeds.
bool cxGetTextExtentPoint(HDC DC, const rtl::String& AText, vcl::TSize& ASize, int ALength = -1);
// tmHeight of the font selected in DC.
int cxGetDCTextHeight(HDC DC);
int cxGetFontTextHeight(vcl::TFont* AFont);
bool cxGetFontTextMetrics(vcl::TFont* AFont, TEXTMETRICW& ATextMetric);
// The records behind GDI handles, read with GetObject.
bool cxGetLogFont(HFONT AFont, LOGFONTW& ALogFont);
bool cxGetBitmapData(HBITMAP ABitmap, BITMAP& ABitmapData);
bool cxGetBrushData(HBRUSH ABrush, LOGBRUSH& ALogBrush);
bool cxGetPenData(HPEN APen, LOGPEN& ALogPen);

// The canvas text extent in AFont, in the size AFontSize when that is not 0.
int cxMeasureTextWidth(vcl::TFont* AFont, const rtl::String& AText, int AFontSize = 0);
vcl::TSize cxMeasureTextExtent(vcl::TFont* AFont, const rtl::String& AText, int AFontSize = 0);
// The size of the text on one line in DC's font.
vcl::TSize cxMeasureTextSize(HDC DC, const rtl::String& AText);
// The size DrawText computes for AFlags from an empty rectangle.
vcl::TSize cxMeasureTextRect(vcl::TFont* AFont, const rtl::String& AText, UINT AFlags);
// DrawText with AFlags and DT_CALCRECT in AFont.
void cxCalcTextRectForFont(TRect& R, const rtl::String& AText, vcl::TFont* AFont, UINT AFlags);

// The narrowest rectangle (from (0, 0)) in which the word-wrapped text
// takes at most ALineCount lines of DC's font; ALineCount 0 sets no
// practical height limit, 1 is the single line. A word wider than the
// result keeps its full width. With ALimitHeight the bottom is exactly the
// height of ALineCount lines.
void cxCalcTextRectForLines(HDC DC, const rtl::String& AText, int ALineCount, TRect& R, UINT AFlags = 0,
                            bool ALimitHeight = false);
// The same in AFont. With AUseLineList a text of at least ALineCount lines
// measures its first ALineCount lines as they are, unwrapped.
void cxCalcTextRectForLines(vcl::TFont* AFont, const rtl::String& AText, int ALineCount, TRect& R,
                            bool AUseLineList = false);

// ---------------------------------------------------------------------------
// Drawing

// DrawText in ATextColor (clDefault: the DC's) and ABkMode, both restored
// afterwards; an empty text changes neither. The DrawText result.
int cxDrawTextWithColor(HDC DC, const rtl::String& AText, TRect& R, int ABkMode, vcl::TColor ATextColor,
                        int ALength = -1, UINT AFlags = 0);
// Transparent, reading right to left when the canvas's text flags say so.
int cxDrawCanvasText(vcl::TCanvas* ACanvas, const rtl::String& AText, const TRect& R, vcl::TColor ATextColor,
                     UINT AFlags);
// The text turned by ARotationAngle in R, over what R shows. The height
// DrawText answered.
int cxDrawTextRotated(TcxCanvas* ACanvas, const rtl::String& AText, const TRect& R, TcxRotationAngle ARotationAngle,
                      vcl::TColor ATextColor, UINT AFlags);
// The text wrapped at R's width (cxSplitTextToLines), one line per font
// height, never starting above R.Top; DT_VCENTER and DT_BOTTOM place the
// block. The number of lines.
int cxDrawWrappedText(TcxCanvas* ACanvas, const rtl::String& AText, const TRect& R, vcl::TColor ATextColor,
                      UINT AFlags);
// Appends the lines the text wraps into at R's width in the canvas font:
// breaks at spaces and tabs, and at every CR or LF (a run of them makes
// empty lines, one per LF beyond the first, and one more when it ends the
// text). A word wider than R stays whole on a line of its own.
void cxSplitTextToLines(const rtl::String& AText, TcxCanvas* ACanvas, const TRect& R, rtl::TStrings* ALines);
// ExtTextOut of the first ALength characters (-1: all).
bool cxExtTextOut(HDC DC, const rtl::String& AText, const TPoint& APoint, int ALength = -1, UINT AOptions = 0,
                  const TRect* AClipRect = nullptr);

// Recreates the font without antialiasing.
void cxSetFontNonAntialiased(vcl::TFont* AFont);
// Back to what a new font has.
void cxResetFont(vcl::TFont* AFont);

// ---------------------------------------------------------------------------
// Painting controls

// Paints AControl's ABounds (in its window coordinates) at AOrigin of the
// canvas: the window printed through WM_PRINT (its non-client area only
// with AWithNonClient), then with APaintChildren its visible child windows
// at their places. Windows being painted by these routines are skipped as
// children. The canvas's DC comes back as it was.
void cxPaintControlTo(vcl::TWinControl* AControl, TcxCanvas* ACanvas, const TPoint& AOrigin, bool AWithNonClient,
                      bool APaintChildren, const TRect& ABounds);
// Paints what AControl's parent shows behind ARect (AControl's coordinates)
// at AOrigin of the canvas; nothing while that parent's background is
// being painted already.
void cxPaintParentBackgroundAt(vcl::TControl* AControl, TcxCanvas* ACanvas, const TRect& ARect, bool APaintChildren,
                               const TPoint& AOrigin);
// The same at ARect's top-left.
void cxPaintParentBackground(vcl::TControl* AControl, TcxCanvas* ACanvas, const TRect& ARect,
                             bool APaintChildren = false);
// The parent's background through the theme library when it is loaded and
// the parent paints directly; a double-buffered parent is printed instead.
void cxDrawControlParentBackground(vcl::TControl* AControl, TcxCanvas* ACanvas, const TRect& R);
// The control with its non-client area and children, skipping the windows
// of AExcludeList (nil: only those being painted already).
void cxPaintControlExcluding(vcl::TWinControl* AControl, TcxCanvas* ACanvas, const TPoint& AOrigin,
                             const std::vector<HWND>* AExcludeList, const TRect& ABounds);

// Runs AProc mirrored about R's vertical centre line when the canvas uses
// right-to-left alignment.
void cxPaintMirroredIfRTL(TcxCanvas* ACanvas, const TRect& R, const TcxPaintProc& AProc);
// Runs AProc, with AMirror inside a world transform that mirrors R
// horizontally about its centre. With AOnePixelShift the axis moves half a
// pixel left, so R's pixel columns map onto each other (its first onto its
// last); without it a mirrored shape lands one pixel further right. The
// DC's graphics mode and transform come back, also when AProc raises.
void cxPaintMirrored(HDC DC, const TRect& R, bool AMirror, bool AOnePixelShift, const TcxPaintProc& AProc);
