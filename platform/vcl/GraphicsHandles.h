// Ownership of GDI and USER handles, and scope guards for device-context
// state:
//   TOwnedHandle<H, Deleter> (move-only) and its instances TOwnedGdiObject<H>,
//   TOwnedRegion, TOwnedDC, TOwnedIcon, TOwnedEnhMetafile; DeleteAndNil
//   TWindowDC, TScreenDC (GetDC/ReleaseDC; move-only)
//   TGlobalLock<T> (GlobalLock/GlobalUnlock)
//   TSelectObjectGuard, TSaveDCGuard, TStretchBltModeGuard, TBkModeGuard,
//   TTextColorGuard, TTextAlignGuard, TClipRegionGuard, TWorldTransformGuard
//
// An owned handle is freed by its wrapper; a borrowed one is a plain handle
// and is never freed by whoever merely holds it. Every scope guard puts back
// exactly what it found, also when the scope is left by an exception; the
// guards that only save (no value given) let the scope change the state
// freely in between.
//
// Nothing outside this header calls DeleteObject, ReleaseDC or GlobalUnlock
// itself (scripts/check-callbacks holds the tree to that).
#pragma once

#include <windows.h>

#include <cstddef>
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
// Deletes a GDI object kept in a plain variable (a table the unit fills at
// start-up) and clears the variable; nil is left alone.
template <class H>
void DeleteAndNil(H& AObject) noexcept
{
  TOwnedGdiObject<H>{std::exchange(AObject, nullptr)}.Reset();
}

// A DC made with CreateCompatibleDC or CreateDC (DeleteDC frees both).
using TOwnedDC = TOwnedHandle<HDC, &detail::DeleteMemoryDC>;
using TOwnedIcon = TOwnedHandle<HICON, &detail::DestroyIconHandle>;
using TOwnedEnhMetafile = TOwnedHandle<HENHMETAFILE, &detail::DeleteEnhMetafileHandle>;

// A DC borrowed from a window (from the screen for a nil window), given back
// with ReleaseDC when the wrapper goes.
class TWindowDC {
 public:
  TWindowDC() noexcept = default;
  explicit TWindowDC(HWND AWnd) noexcept : FWnd(AWnd), FDC(GetDC(AWnd)) {}
  // Takes over a DC borrowed from AWnd some other way (GetDCEx, GetWindowDC).
  TWindowDC(HWND AWnd, HDC ADC) noexcept : FWnd(AWnd), FDC(ADC) {}
  TWindowDC(TWindowDC&& AOther) noexcept
      : FWnd(std::exchange(AOther.FWnd, nullptr)), FDC(std::exchange(AOther.FDC, nullptr))
  {
  }
  TWindowDC& operator=(TWindowDC&& AOther) noexcept
  {
    if (this != &AOther) {
      Reset();
      FWnd = std::exchange(AOther.FWnd, nullptr);
      FDC = std::exchange(AOther.FDC, nullptr);
    }
    return *this;
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  ~TWindowDC() { Reset(); }

  HDC Get() const noexcept { return FDC; }
  HWND Window() const noexcept { return FWnd; }
  explicit operator bool() const noexcept { return FDC != nullptr; }
  void Reset() noexcept
  {
    if (HDC dc = std::exchange(FDC, nullptr))
      ReleaseDC(FWnd, dc);
    FWnd = nullptr;
  }

 private:
  HWND FWnd = nullptr;
  HDC FDC = nullptr;
};

// The screen's DC, borrowed for a scope.
class TScreenDC : public TWindowDC {
 public:
  TScreenDC() noexcept : TWindowDC(HWND{nullptr}) {}
};

// A global memory block locked for a scope; Get() is nil when the lock
// failed (a discarded or invalid block).
template <class T = void>
class TGlobalLock {
 public:
  explicit TGlobalLock(HGLOBAL AMemory) noexcept : FMemory(AMemory), FData(static_cast<T*>(GlobalLock(AMemory))) {}
  TGlobalLock(const TGlobalLock&) = delete;
  TGlobalLock& operator=(const TGlobalLock&) = delete;
  ~TGlobalLock()
  {
    if (FData)
      GlobalUnlock(FMemory);
  }
  T* Get() const noexcept { return FData; }
  // The block's size in bytes; 0 when the lock failed.
  std::size_t Size() const noexcept { return FData ? GlobalSize(FMemory) : 0; }

 private:
  HGLOBAL FMemory;
  T* FData;
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

// SetBkMode for a scope; without a mode, the mode found is put back.
class TBkModeGuard {
 public:
  explicit TBkModeGuard(HDC ADC) noexcept : FDC(ADC), FOld(GetBkMode(ADC)) {}
  TBkModeGuard(HDC ADC, int AMode) noexcept : FDC(ADC), FOld(SetBkMode(ADC, AMode)) {}
  TBkModeGuard(const TBkModeGuard&) = delete;
  TBkModeGuard& operator=(const TBkModeGuard&) = delete;
  ~TBkModeGuard()
  {
    if (FOld)
      SetBkMode(FDC, FOld);
  }

 private:
  HDC FDC;
  int FOld;
};

// SetTextColor for a scope; without a colour, the colour found is put back.
class TTextColorGuard {
 public:
  explicit TTextColorGuard(HDC ADC) noexcept : FDC(ADC), FOld(GetTextColor(ADC)) {}
  TTextColorGuard(HDC ADC, COLORREF AColor) noexcept : FDC(ADC), FOld(SetTextColor(ADC, AColor)) {}
  TTextColorGuard(const TTextColorGuard&) = delete;
  TTextColorGuard& operator=(const TTextColorGuard&) = delete;
  ~TTextColorGuard()
  {
    if (FOld != CLR_INVALID)
      SetTextColor(FDC, FOld);
  }

 private:
  HDC FDC;
  COLORREF FOld;
};

// SetTextAlign for a scope; without flags, the alignment found is put back.
class TTextAlignGuard {
 public:
  explicit TTextAlignGuard(HDC ADC) noexcept : FDC(ADC), FOld(GetTextAlign(ADC)) {}
  TTextAlignGuard(HDC ADC, UINT AAlign) noexcept : FDC(ADC), FOld(SetTextAlign(ADC, AAlign)) {}
  TTextAlignGuard(const TTextAlignGuard&) = delete;
  TTextAlignGuard& operator=(const TTextAlignGuard&) = delete;
  ~TTextAlignGuard()
  {
    if (FOld != GDI_ERROR)
      SetTextAlign(FDC, FOld);
  }

 private:
  HDC FDC;
  UINT FOld;
};

// The DC's clip region for a scope: whatever the scope selects, intersects
// or excludes is undone, and a DC that had no clip region has none again.
// When the region could not be read nothing is put back, rather than a
// wrong region.
class TClipRegionGuard {
 public:
  explicit TClipRegionGuard(HDC ADC) noexcept : FDC(ADC), FSaved(CreateRectRgn(0, 0, 0, 0))
  {
    FState = FSaved ? GetClipRgn(ADC, FSaved.Get()) : -1;
  }
  TClipRegionGuard(const TClipRegionGuard&) = delete;
  TClipRegionGuard& operator=(const TClipRegionGuard&) = delete;
  ~TClipRegionGuard()
  {
    if (FState >= 0)
      SelectClipRgn(FDC, FState == 1 ? FSaved.Get() : nullptr);
  }

 private:
  HDC FDC;
  TOwnedRegion FSaved;
  // GetClipRgn's answer: 1 a region, 0 none, -1 failed.
  int FState;
};

// The world transform and the graphics mode for a scope. Given a
// transform, the DC is switched to GM_ADVANCED and takes it. A DC found in
// GM_COMPATIBLE goes back to the identity first, as it only may then.
class TWorldTransformGuard {
 public:
  explicit TWorldTransformGuard(HDC ADC) noexcept : FDC(ADC), FMode(GetGraphicsMode(ADC))
  {
    FSaved = GetWorldTransform(ADC, &FTransform) != 0;
  }
  TWorldTransformGuard(HDC ADC, const XFORM& ATransform) noexcept : TWorldTransformGuard(ADC)
  {
    SetGraphicsMode(ADC, GM_ADVANCED);
    SetWorldTransform(ADC, &ATransform);
  }
  TWorldTransformGuard(const TWorldTransformGuard&) = delete;
  TWorldTransformGuard& operator=(const TWorldTransformGuard&) = delete;
  ~TWorldTransformGuard()
  {
    if (!FSaved || FMode == 0)
      return;
    // Only GM_ADVANCED accepts a transform.
    SetGraphicsMode(FDC, GM_ADVANCED);
    if (FMode == GM_ADVANCED) {
      SetWorldTransform(FDC, &FTransform);
    } else {
      ModifyWorldTransform(FDC, nullptr, MWT_IDENTITY);
      SetGraphicsMode(FDC, FMode);
    }
  }

 private:
  HDC FDC;
  int FMode;
  XFORM FTransform{};
  bool FSaved;
};

}  // namespace vcl
