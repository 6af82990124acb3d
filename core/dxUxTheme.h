// The Windows visual-styles library, bound by name:
// - the library handle and its functions, looked up when the unit starts;
// - thin wrappers that the painters call.
//
// The library is not imported: a system without it (or without some of its
// functions, such as Wine without the panning feedback) must still start.
// Each function pointer is nil when the library lacks it, and callers test
// for the library and the function before they call; the wrappers do not,
// except where their comment says so.
#pragma once

#include <windows.h>
#include <uxtheme.h>

#include <span>

#include "platform/rtl/SystemTypes.h"
#include "platform/rtl/SystemUnits.h"

RTL_DECLARE_UNIT(dxUxTheme);

// The bound functions, in binding order; X(Name) per function.
#define DX_UXTHEME_FUNCTIONS(X)                                                                          \
  X(CloseThemeData) X(DrawThemeBackground) X(DrawThemeEdge) X(DrawThemeIcon) X(DrawThemeParentBackground) \
  X(DrawThemeText) X(DrawThemeTextEx) X(EnableThemeDialogTexture) X(GetCurrentThemeName)                 \
  X(GetThemeAppProperties) X(GetThemeBackgroundContentRect) X(GetThemeBackgroundRegion)                  \
  X(GetThemeBackgroundExtent) X(GetThemeBool) X(GetThemeColor) X(GetThemeDocumentationProperty)          \
  X(GetThemeEnumValue) X(GetThemeFilename) X(GetThemeFont) X(GetThemeInt) X(GetThemeIntList)             \
  X(GetThemeMargins) X(GetThemeMetric) X(GetThemePartSize) X(GetThemePosition) X(GetThemePropertyOrigin) \
  X(GetThemeRect) X(GetThemeString) X(GetThemeSysBool) X(GetThemeSysColor) X(GetThemeSysColorBrush)      \
  X(GetThemeSysFont) X(GetThemeSysInt) X(GetThemeSysSize) X(GetThemeSysString) X(GetThemeTextExtent)     \
  X(GetThemeTextMetrics) X(GetWindowTheme) X(HitTestThemeBackground) X(IsAppThemed) X(IsThemeActive)     \
  X(IsThemePartDefined) X(IsThemeBackgroundPartiallyTransparent) X(IsThemeDialogTextureEnabled)          \
  X(OpenThemeData) X(SetThemeAppProperties) X(SetWindowTheme) X(BeginBufferedPaint) X(BufferedPaintClear) \
  X(BufferedPaintInit) X(BufferedPaintSetAlpha) X(BufferedPaintUnInit) X(EndBufferedPaint)               \
  X(BeginPanningFeedback) X(UpdatePanningFeedback) X(EndPanningFeedback)

// One pointer per function, typed as Windows declares it; nil when missing.
struct TdxUxThemeFunctions {
#define DX_UXTHEME_POINTER(AName) decltype(&::AName) AName;
  DX_UXTHEME_FUNCTIONS(DX_UXTHEME_POINTER)
#undef DX_UXTHEME_POINTER
};

// 0 when "UxTheme.dll" could not be loaded.
extern HMODULE dxUxThemeLibrary;
// Filled by the unit's start-up. Tests put fakes in place of entries.
extern TdxUxThemeFunctions dxUxThemeFunctions;

// The names bound, in binding order, and what was bound for each (nil when
// missing), by the same index.
std::span<const char* const> dxUxThemeFunctionNames();
void* dxUxThemeFunctionAddress(int AIndex);

bool dxUxThemeLibraryLoaded();

// ---------------------------------------------------------------------------
// Wrappers: the function of the same name, arguments in Windows' order.

HTHEME dxUxOpenThemeData(HWND AWnd, LPCWSTR AClassList);
HRESULT dxUxCloseThemeData(HTHEME ATheme);

HRESULT dxUxDrawThemeBackgroundP(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT* R,
                                 const RECT* AClipRect);
HRESULT dxUxDrawThemeBackground(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT& R);
HRESULT dxUxDrawThemeBackground(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT& R,
                                const RECT& AClipRect);

HRESULT dxUxDrawThemeText(HTHEME ATheme, HDC DC, int APartId, int AStateId, LPCWSTR AText, int ACharCount,
                          DWORD ATextFlags, DWORD ATextFlags2, const RECT* R);
HRESULT dxUxDrawThemeTextStr(HTHEME ATheme, HDC DC, int APartId, int AStateId, const rtl::String& AText,
                             int ACharCount, DWORD ATextFlags, DWORD ATextFlags2, const RECT& R);
// The text is copied first: DT_MODIFYSTRING lets the function write into it.
HRESULT dxUxDrawThemeTextEx(HTHEME ATheme, HDC DC, int APartId, int AStateId, const rtl::String& AText,
                            int ACharCount, DWORD AFlags, RECT* R, const DTTOPTS& AOptions);

HRESULT dxUxGetThemeBackgroundContentRect(HTHEME ATheme, HDC DC, int APartId, int AStateId,
                                          const RECT& ABoundingRect, RECT* AContentRect);
HRESULT dxUxGetThemePartSizeP(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT* R,
                              THEMESIZE ASizeKind, SIZE* ASize);
HRESULT dxUxGetThemePartSizeR(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT& R,
                              THEMESIZE ASizeKind, SIZE* ASize);
HRESULT dxUxGetThemePartSize(HTHEME ATheme, HDC DC, int APartId, int AStateId, THEMESIZE ASizeKind,
                             SIZE* ASize);
HRESULT dxUxGetThemeBackgroundRegion(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT& R,
                                     HRGN* ARegion);
HRESULT dxUxDrawThemeEdge(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT& ADestRect, UINT AEdge,
                          UINT AFlags, RECT* AContentRect);
BOOL dxUxIsThemeBackgroundPartiallyTransparent(HTHEME ATheme, int APartId, int AStateId);
// Selects the DC's font back afterwards: the parent's painting may leave
// its own font selected.
HRESULT dxUxDrawThemeParentBackground(HWND AWnd, HDC DC, const RECT* R);
HRESULT dxUxGetThemeColor(HTHEME ATheme, int APartId, int AStateId, int APropId, COLORREF* AColor);
HRESULT dxUxGetThemeMargins(HTHEME ATheme, HDC DC, int APartId, int AStateId, int APropId, const RECT* R,
                            MARGINS* AMargins);
// False when the function is missing.
bool dxUxIsThemeActive();
HRESULT dxUxGetCurrentThemeName(LPWSTR AThemeFileName, int AMaxNameChars, LPWSTR AColorBuff, int AMaxColorChars,
                                LPWSTR ASizeBuff, int AMaxSizeChars);

HRESULT dxUxBufferedPaintInit();
HRESULT dxUxBufferedPaintUnInit();
HPAINTBUFFER dxUxBeginBufferedPaint(HDC ATargetDC, const RECT* ATargetRect, BP_BUFFERFORMAT AFormat,
                                    BP_PAINTPARAMS* APaintParams, HDC* APaintDC);
HRESULT dxUxEndBufferedPaint(HPAINTBUFFER ABuffer, bool AUpdateTarget);
HRESULT dxUxBufferedPaintClear(HPAINTBUFFER ABuffer, const RECT* R);
HRESULT dxUxBufferedPaintSetAlpha(HPAINTBUFFER ABuffer, const RECT* R, BYTE AAlpha);

// Panning feedback (Windows 7 and later; Wine lacks it): false when the
// function is missing.
bool dxUxBeginPanningFeedback(HWND AWnd);
bool dxUxUpdatePanningFeedback(HWND AWnd, POINT AOverpan, bool AInInertia);
bool dxUxEndPanningFeedback(HWND AWnd, bool AAnimateBack);
