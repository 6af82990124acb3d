#include "core/dxUxTheme.h"

#include <commctrl.h>

HMODULE dxUxThemeLibrary;
TdxUxThemeFunctions dxUxThemeFunctions;

namespace {

constexpr const char* FunctionNames[] = {
#define DX_UXTHEME_NAME(AName) #AName,
    DX_UXTHEME_FUNCTIONS(DX_UXTHEME_NAME)
#undef DX_UXTHEME_NAME
};

template <class F>
void Bind(F& AFunction, const char* AName)
{
  AFunction = dxUxThemeLibrary ? reinterpret_cast<F>(GetProcAddress(dxUxThemeLibrary, AName)) : nullptr;
}

void BindFunctions()
{
#define DX_UXTHEME_BIND(AName) Bind(dxUxThemeFunctions.AName, #AName);
  DX_UXTHEME_FUNCTIONS(DX_UXTHEME_BIND)
#undef DX_UXTHEME_BIND
}

void dxUxThemeInitialization()
{
  // Version 6 of the common controls draws themed; it must be in the
  // process before the first themed window.
  InitCommonControls();
  dxUxThemeLibrary = LoadLibraryW(L"UxTheme.dll");
  BindFunctions();
}

void dxUxThemeFinalization()
{
  dxUxThemeFunctions = TdxUxThemeFunctions{};
  if (dxUxThemeLibrary)
    FreeLibrary(dxUxThemeLibrary);
  dxUxThemeLibrary = nullptr;
}

// Some of Windows' declarations take rectangles they only read as writable.
RECT* Writable(const RECT* R)
{
  return const_cast<RECT*>(R);
}

}  // namespace

RTL_UNIT(dxUxTheme, &dxUxThemeInitialization, &dxUxThemeFinalization);

std::span<const char* const> dxUxThemeFunctionNames()
{
  return FunctionNames;
}

void* dxUxThemeFunctionAddress(int AIndex)
{
  void* const addresses[] = {
#define DX_UXTHEME_ADDRESS(AName) reinterpret_cast<void*>(dxUxThemeFunctions.AName),
      DX_UXTHEME_FUNCTIONS(DX_UXTHEME_ADDRESS)
#undef DX_UXTHEME_ADDRESS
  };
  static_assert(std::size(addresses) == std::size(FunctionNames));
  return AIndex >= 0 && AIndex < static_cast<int>(std::size(addresses)) ? addresses[AIndex] : nullptr;
}

bool dxUxThemeLibraryLoaded()
{
  return dxUxThemeLibrary != nullptr;
}

HTHEME dxUxOpenThemeData(HWND AWnd, LPCWSTR AClassList)
{
  return dxUxThemeFunctions.OpenThemeData(AWnd, AClassList);
}

HRESULT dxUxCloseThemeData(HTHEME ATheme)
{
  return dxUxThemeFunctions.CloseThemeData(ATheme);
}

HRESULT dxUxDrawThemeBackgroundP(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT* R,
                                 const RECT* AClipRect)
{
  return dxUxThemeFunctions.DrawThemeBackground(ATheme, DC, APartId, AStateId, R, AClipRect);
}

HRESULT dxUxDrawThemeBackground(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT& R)
{
  return dxUxDrawThemeBackgroundP(ATheme, DC, APartId, AStateId, &R, nullptr);
}

HRESULT dxUxDrawThemeBackground(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT& R,
                                const RECT& AClipRect)
{
  return dxUxDrawThemeBackgroundP(ATheme, DC, APartId, AStateId, &R, &AClipRect);
}

HRESULT dxUxDrawThemeText(HTHEME ATheme, HDC DC, int APartId, int AStateId, LPCWSTR AText, int ACharCount,
                          DWORD ATextFlags, DWORD ATextFlags2, const RECT* R)
{
  return dxUxThemeFunctions.DrawThemeText(ATheme, DC, APartId, AStateId, AText, ACharCount, ATextFlags,
                                          ATextFlags2, R);
}

HRESULT dxUxDrawThemeTextStr(HTHEME ATheme, HDC DC, int APartId, int AStateId, const rtl::String& AText,
                             int ACharCount, DWORD ATextFlags, DWORD ATextFlags2, const RECT& R)
{
  return dxUxDrawThemeText(ATheme, DC, APartId, AStateId, AText.c_str(), ACharCount, ATextFlags, ATextFlags2, &R);
}

HRESULT dxUxDrawThemeTextEx(HTHEME ATheme, HDC DC, int APartId, int AStateId, const rtl::String& AText,
                            int ACharCount, DWORD AFlags, RECT* R, const DTTOPTS& AOptions)
{
  // DT_MODIFYSTRING lets the function write into the text, up to four
  // characters beyond it ("..." and a null); the null characters added
  // keep the text as long as it was.
  rtl::String text = AText;
  text.append(4, L'\0');
  return dxUxThemeFunctions.DrawThemeTextEx(ATheme, DC, APartId, AStateId, text.data(), ACharCount, AFlags, R,
                                            &AOptions);
}

HRESULT dxUxGetThemeBackgroundContentRect(HTHEME ATheme, HDC DC, int APartId, int AStateId,
                                          const RECT& ABoundingRect, RECT* AContentRect)
{
  return dxUxThemeFunctions.GetThemeBackgroundContentRect(ATheme, DC, APartId, AStateId, &ABoundingRect,
                                                          AContentRect);
}

HRESULT dxUxGetThemePartSizeP(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT* R,
                              THEMESIZE ASizeKind, SIZE* ASize)
{
  return dxUxThemeFunctions.GetThemePartSize(ATheme, DC, APartId, AStateId, Writable(R), ASizeKind, ASize);
}

HRESULT dxUxGetThemePartSizeR(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT& R,
                              THEMESIZE ASizeKind, SIZE* ASize)
{
  return dxUxGetThemePartSizeP(ATheme, DC, APartId, AStateId, &R, ASizeKind, ASize);
}

HRESULT dxUxGetThemePartSize(HTHEME ATheme, HDC DC, int APartId, int AStateId, THEMESIZE ASizeKind,
                             SIZE* ASize)
{
  return dxUxGetThemePartSizeP(ATheme, DC, APartId, AStateId, nullptr, ASizeKind, ASize);
}

HRESULT dxUxGetThemeBackgroundRegion(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT& R,
                                     HRGN* ARegion)
{
  return dxUxThemeFunctions.GetThemeBackgroundRegion(ATheme, DC, APartId, AStateId, &R, ARegion);
}

HRESULT dxUxDrawThemeEdge(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT& ADestRect, UINT AEdge,
                          UINT AFlags, RECT* AContentRect)
{
  return dxUxThemeFunctions.DrawThemeEdge(ATheme, DC, APartId, AStateId, &ADestRect, AEdge, AFlags, AContentRect);
}

BOOL dxUxIsThemeBackgroundPartiallyTransparent(HTHEME ATheme, int APartId, int AStateId)
{
  return dxUxThemeFunctions.IsThemeBackgroundPartiallyTransparent(ATheme, APartId, AStateId);
}

HRESULT dxUxDrawThemeParentBackground(HWND AWnd, HDC DC, const RECT* R)
{
  const HGDIOBJ font = GetCurrentObject(DC, OBJ_FONT);
  const HRESULT result = dxUxThemeFunctions.DrawThemeParentBackground(AWnd, DC, Writable(R));
  SelectObject(DC, font);
  return result;
}

HRESULT dxUxGetThemeColor(HTHEME ATheme, int APartId, int AStateId, int APropId, COLORREF* AColor)
{
  return dxUxThemeFunctions.GetThemeColor(ATheme, APartId, AStateId, APropId, AColor);
}

HRESULT dxUxGetThemeMargins(HTHEME ATheme, HDC DC, int APartId, int AStateId, int APropId, const RECT* R,
                            MARGINS* AMargins)
{
  return dxUxThemeFunctions.GetThemeMargins(ATheme, DC, APartId, AStateId, APropId, Writable(R), AMargins);
}

bool dxUxIsThemeActive()
{
  return dxUxThemeFunctions.IsThemeActive && dxUxThemeFunctions.IsThemeActive();
}

HRESULT dxUxGetCurrentThemeName(LPWSTR AThemeFileName, int AMaxNameChars, LPWSTR AColorBuff, int AMaxColorChars,
                                LPWSTR ASizeBuff, int AMaxSizeChars)
{
  return dxUxThemeFunctions.GetCurrentThemeName(AThemeFileName, AMaxNameChars, AColorBuff, AMaxColorChars,
                                                ASizeBuff, AMaxSizeChars);
}

HRESULT dxUxBufferedPaintInit()
{
  return dxUxThemeFunctions.BufferedPaintInit();
}

HRESULT dxUxBufferedPaintUnInit()
{
  return dxUxThemeFunctions.BufferedPaintUnInit();
}

HPAINTBUFFER dxUxBeginBufferedPaint(HDC ATargetDC, const RECT* ATargetRect, BP_BUFFERFORMAT AFormat,
                                    BP_PAINTPARAMS* APaintParams, HDC* APaintDC)
{
  return dxUxThemeFunctions.BeginBufferedPaint(ATargetDC, ATargetRect, AFormat, APaintParams, APaintDC);
}

HRESULT dxUxEndBufferedPaint(HPAINTBUFFER ABuffer, bool AUpdateTarget)
{
  return dxUxThemeFunctions.EndBufferedPaint(ABuffer, AUpdateTarget);
}

HRESULT dxUxBufferedPaintClear(HPAINTBUFFER ABuffer, const RECT* R)
{
  return dxUxThemeFunctions.BufferedPaintClear(ABuffer, R);
}

HRESULT dxUxBufferedPaintSetAlpha(HPAINTBUFFER ABuffer, const RECT* R, BYTE AAlpha)
{
  return dxUxThemeFunctions.BufferedPaintSetAlpha(ABuffer, R, AAlpha);
}

bool dxUxBeginPanningFeedback(HWND AWnd)
{
  return dxUxThemeFunctions.BeginPanningFeedback && dxUxThemeFunctions.BeginPanningFeedback(AWnd);
}

bool dxUxUpdatePanningFeedback(HWND AWnd, POINT AOverpan, bool AInInertia)
{
  return dxUxThemeFunctions.UpdatePanningFeedback &&
         dxUxThemeFunctions.UpdatePanningFeedback(AWnd, AOverpan.x, AOverpan.y, AInInertia);
}

bool dxUxEndPanningFeedback(HWND AWnd, bool AAnimateBack)
{
  return dxUxThemeFunctions.EndPanningFeedback && dxUxThemeFunctions.EndPanningFeedback(AWnd, AAnimateBack);
}
