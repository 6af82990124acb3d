#include "core/dxTypeHelpers.h"

bool dxSizeEquals(const TSize& A, const TSize& B)
{
  return A.cx == B.cx && A.cy == B.cy;
}

void dxRectInitBounds(TRect& R, int ALeft, int ATop, int AWidth, int AHeight)
{
  R = TRect{ALeft, ATop, ALeft + AWidth, ATop + AHeight};
}

int dxRectWidthOf(const TRect& R)
{
  return R.right - R.left;
}

int dxRectHeightOf(const TRect& R)
{
  return R.bottom - R.top;
}

TSize dxRectSizeOf(const TRect& R)
{
  return TSize{dxRectWidthOf(R), dxRectHeightOf(R)};
}

void dxRectClear(TRect& R)
{
  R = TRect{0, 0, 0, 0};
}

bool dxRectIsZero(const TRect& R)
{
  return R.left == 0 && R.top == 0 && R.right == 0 && R.bottom == 0;
}
