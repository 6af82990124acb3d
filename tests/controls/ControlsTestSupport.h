// What the control framework's tests share: comparing and printing the
// platform's rectangles and points, and the messages a test window records.
#pragma once

#include <windows.h>

#include <ostream>

inline bool operator==(const RECT& A, const RECT& B)
{
  return A.left == B.left && A.top == B.top && A.right == B.right && A.bottom == B.bottom;
}

inline bool operator==(const POINT& A, const POINT& B)
{
  return A.x == B.x && A.y == B.y;
}

inline void PrintTo(const RECT& R, std::ostream* AStream)
{
  *AStream << "(" << R.left << ", " << R.top << ", " << R.right << ", " << R.bottom << ")";
}

inline void PrintTo(const POINT& P, std::ostream* AStream)
{
  *AStream << "(" << P.x << ", " << P.y << ")";
}

inline bool operator==(const SIZE& A, const SIZE& B)
{
  return A.cx == B.cx && A.cy == B.cy;
}

inline void PrintTo(const SIZE& S, std::ostream* AStream)
{
  *AStream << "(" << S.cx << " x " << S.cy << ")";
}
