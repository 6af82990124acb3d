#pragma once
// Small helpers on the platform's own geometry records, and the names by
// which the system refers to those records.

#include <windows.h>

// The platform's integer geometry is the Win32 one, so that rectangles,
// points and sizes pass to the API without copying.
using TRect = RECT;
using TPoint = POINT;
using TSize = SIZE;

bool dxSizeEquals(const TSize& A, const TSize& B);
// Right = ALeft + AWidth, Bottom = ATop + AHeight.
void dxRectInitBounds(TRect& R, int ALeft, int ATop, int AWidth, int AHeight);
int dxRectWidthOf(const TRect& R);
int dxRectHeightOf(const TRect& R);
TSize dxRectSizeOf(const TRect& R);
void dxRectClear(TRect& R);
bool dxRectIsZero(const TRect& R);
