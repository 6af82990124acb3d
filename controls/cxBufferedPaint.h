// Painting windows off screen: through the platform's buffered-paint API
// for controls on glass, through a memory bitmap for ordinary double
// buffering, and text with a glow on glass; also a window's constant
// opacity. The base control's painting chooses among them. Each routine
// degrades instead of failing (a missing function means direct painting or
// no change) and gives back every GDI object. User-interface thread only.
#pragma once

#include <windows.h>

#include "core/dxTypeHelpers.h"
#include "platform/rtl/System.h"
#include "platform/vcl/Graphics.h"

namespace vcl {
class TControl;
class TWinControl;
class TFont;
}  // namespace vcl

// Copies the window's update region into ARgn (not erasing); False when it
// is empty or on error, and always on Windows 7 with composition off.
bool cxGetControlUpdateRegion(vcl::TWinControl* AControl, HRGN ARgn);
// Below 255 makes the window layered with that constant alpha; 255 takes a
// layered window back to an ordinary one and redraws it.
void cxSetLayeredWindowAlpha(HWND AWnd, BYTE AAlpha);
// The text in R of ADC through the window theme's composited text drawing,
// with a glow of AGlowSize (none at 0), in AColor (clDefault: the DC's text
// colour) and AFont (nil: the DC's font); with ACopyBackground over what
// ADC shows.
void cxDrawGlowTextOnGlass(HDC ADC, const rtl::String& AText, vcl::TFont* AFont, bool ACopyBackground, int AGlowSize,
                           UINT AFormat, vcl::TColor AColor, const TRect& R);
// The window's WM_ERASEBKGND and WM_PRINTCLIENT into a buffer of R on
// ATargetDC, made opaque unless AKeepAlpha; straight into ATargetDC when no
// buffer can be had.
void cxBufferedPaintWindow(HWND AWnd, HDC ATargetDC, const TRect& R, bool AKeepAlpha);
// The whole client area through a buffer.
void cxRepaintWindowBuffered(HWND AWnd, bool AKeepAlpha);
// A WM_PAINT handled through a buffer.
void cxPaintWindowBuffered(HWND AWnd, bool AKeepAlpha);
// A WM_PAINT handled through a memory bitmap: the control erases and paints
// into it, then it is copied to the screen.
void cxPaintWindowDoubleBuffered(vcl::TWinControl* AControl);
// The control has a window, paints on glass and composition is on.
bool cxIsControlPaintingOnGlass(vcl::TWinControl* AControl);
// Dispatches the control's pending CM_BUFFEREDPRINTCLIENT messages now.
void cxFlushBufferedPrintClient(vcl::TWinControl* AControl);
// Whether asking for the control's window would succeed.
bool cxCanAllocateControlHandle(vcl::TControl* AControl);
// The WM_ERASEBKGND comes from cxBufferedPaintWindow (LParam is the DC).
bool cxIsBufferedEraseBackground(const rtl::TMessage& AMessage);
