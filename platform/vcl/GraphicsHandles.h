// Ownership of GDI and USER handles, and scope guards for device-context
// state:
//   TOwnedHandle<H, Deleter> (move-only) and its instances TOwnedGdiObject<H>,
//   TOwnedDC, TOwnedIcon, TOwnedEnhMetafile
//   TWindowDC (GetDC/ReleaseDC)
//   TSelectObjectGuard, TSaveDCGuard, TStretchBltModeGuard
//
// An owned handle is freed by its wrapper; a borrowed one is a plain handle
// and is never freed by whoever merely holds it.
#pragma once

#include <windows.h>

#include <utility>

namespace vcl {

template <class H, auto ADeleter>
class TOwnedHandle {
 public:
  TOwnedHandle() noexcept = default;
  explicit TOwnedHandle(H AHandle) noexcept : FHandle(AHandle) {}
  TOwnedHandle(TOwnedHandle&& AOther) noexcept : FHandle(AOther.Release()) {}
  TOwnedHandle& operator=(TOwnedHandle&& AOther) noexcept
  {
    Reset(AOther.Release());
    return *this;
  }
  TOwnedHandle(const TOwnedHandle&) = delete;
  TOwnedHandle& operator=(const TOwnedHandle&) = delete;
  ~TOwnedHandle() { Reset(); }

  H Get() const noexcept { return FHandle; }
  explicit operator bool() const noexcept { return FHandle != nullptr; }
  // Gives the handle up: the caller owns it now.
  H Release() noexcept { return std::exchange(FHandle, nullptr); }
  void Reset(H AHandle = nullptr) noexcept
  {
    if (H old = std::exchange(FHandle, AHandle))
      ADeleter(old);
  }

 private:
  H FHandle = nullptr;
};

namespace detail {
inline void DeleteGdiObject(HGDIOBJ AObject) noexcept { DeleteObject(AObject); }
inline void DeleteMemoryDC(HDC ADC) noexcept { DeleteDC(ADC); }
inline void DestroyIconHandle(HICON AIcon) noexcept { DestroyIcon(AIcon); }
inline void DeleteEnhMetafileHandle(HENHMETAFILE AMetafile) noexcept { DeleteEnhMetaFile(AMetafile); }
}  // namespace detail

template <class H>
using TOwnedGdiObject = TOwnedHandle<H, &detail::DeleteGdiObject>;
using TOwnedFont = TOwnedGdiObject<HFONT>;
using TOwnedBrush = TOwnedGdiObject<HBRUSH>;
using TOwnedPen = TOwnedGdiObject<HPEN>;
using TOwnedBitmap = TOwnedGdiObject<HBITMAP>;
using TOwnedRegion = TOwnedGdiObject<HRGN>;
// A DC made with CreateCompatibleDC or CreateDC (DeleteDC frees both).
using TOwnedDC = TOwnedHandle<HDC, &detail::DeleteMemoryDC>;
using TOwnedIcon = TOwnedHandle<HICON, &detail::DestroyIconHandle>;
using TOwnedEnhMetafile = TOwnedHandle<HENHMETAFILE, &detail::DeleteEnhMetafileHandle>;

// A DC borrowed from a window or the screen for a scope (GetDC/ReleaseDC).
class TWindowDC {
 public:
  explicit TWindowDC(HWND AWnd) noexcept : FWnd(AWnd), FDC(GetDC(AWnd)) {}
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  ~TWindowDC()
  {
    if (FDC)
      ReleaseDC(FWnd, FDC);
  }
  HDC Get() const noexcept { return FDC; }

 private:
  HWND FWnd;
  HDC FDC;
};

// Selects an object into a DC for a scope and puts the previous one back.
class TSelectObjectGuard {
 public:
  TSelectObjectGuard(HDC ADC, HGDIOBJ AObject) noexcept : FDC(ADC), FOld(SelectObject(ADC, AObject)) {}
  TSelectObjectGuard(const TSelectObjectGuard&) = delete;
  TSelectObjectGuard& operator=(const TSelectObjectGuard&) = delete;
  ~TSelectObjectGuard()
  {
    if (FOld && FOld != HGDI_ERROR)
      SelectObject(FDC, FOld);
  }

 private:
  HDC FDC;
  HGDIOBJ FOld;
};

// SaveDC for a scope; RestoreDC at its end.
class TSaveDCGuard {
 public:
  explicit TSaveDCGuard(HDC ADC) noexcept : FDC(ADC), FState(SaveDC(ADC)) {}
  TSaveDCGuard(const TSaveDCGuard&) = delete;
  TSaveDCGuard& operator=(const TSaveDCGuard&) = delete;
  ~TSaveDCGuard()
  {
    if (FState)
      RestoreDC(FDC, FState);
  }

 private:
  HDC FDC;
  int FState;
};

// SetStretchBltMode for a scope.
class TStretchBltModeGuard {
 public:
  TStretchBltModeGuard(HDC ADC, int AMode) noexcept : FDC(ADC), FOld(SetStretchBltMode(ADC, AMode)) {}
  TStretchBltModeGuard(const TStretchBltModeGuard&) = delete;
  TStretchBltModeGuard& operator=(const TStretchBltModeGuard&) = delete;
  ~TStretchBltModeGuard()
  {
    if (FOld)
      SetStretchBltMode(FDC, FOld);
  }

 private:
  HDC FDC;
  int FOld;
};

}  // namespace vcl
