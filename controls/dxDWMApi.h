// The desktop window manager's library (dwmapi.dll), bound at run time: it
// does not exist before Windows 6. The unit's start-up loads it and looks
// its functions up by name; its finish unloads it. A missing library or
// function turns the feature off, never raises.
#pragma once

#include <windows.h>

#include <dwmapi.h>

#include "platform/rtl/SystemUnits.h"

RTL_DECLARE_UNIT(dxDWMApi);

// The bound functions; nil when the library or the function is missing.
// Only the composition query is called by the system; the others are there
// for whatever part comes to need them.
struct TdxDWMApiFunctions {
  HRESULT(WINAPI* DwmDefWindowProc)(HWND, UINT, WPARAM, LPARAM, LRESULT*);
  HRESULT(WINAPI* DwmEnableBlurBehindWindow)(HWND, const DWM_BLURBEHIND*);
  HRESULT(WINAPI* DwmEnableComposition)(UINT);
  HRESULT(WINAPI* DwmEnableMMCSS)(BOOL);
  HRESULT(WINAPI* DwmExtendFrameIntoClientArea)(HWND, const MARGINS*);
  HRESULT(WINAPI* DwmGetColorizationColor)(DWORD*, BOOL*);
  HRESULT(WINAPI* DwmGetWindowAttribute)(HWND, DWORD, PVOID, DWORD);
  HRESULT(WINAPI* DwmIsCompositionEnabled)(BOOL*);
  HRESULT(WINAPI* DwmSetWindowAttribute)(HWND, DWORD, LPCVOID, DWORD);
  HRESULT(WINAPI* DwmSetIconicThumbnail)(HWND, HBITMAP, DWORD);
  HRESULT(WINAPI* DwmSetIconicLivePreviewBitmap)(HWND, HBITMAP, POINT*, DWORD);
  HRESULT(WINAPI* DwmInvalidateIconicBitmaps)(HWND);
};

const TdxDWMApiFunctions& dxDWMApi();

// The library was loaded.
bool cxIsDWMAvailable();
// False without the library or its composition query; else what the query
// answers.
bool cxIsCompositionEnabled();

// What the unit's start-up does, for a given Windows major version: nothing
// at 5 or below. Tests bind and unbind through these; binding twice binds
// once.
void dxDWMApiBind(DWORD AMajorVersion);
void dxDWMApiUnbind();
