#include "controls/cxBufferedPaint.h"

#include <uxtheme.h>

#include "controls/dxDWMApi.h"
#include "core/dxCore.h"
#include "core/dxThemeManager.h"
#include "core/dxUxTheme.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/GraphicsHandles.h"

namespace {

// BeginPaint and EndPaint for a scope.
class TcxPaintScope {
 public:
  explicit TcxPaintScope(HWND AWnd) : FWnd(AWnd) { FDC = BeginPaint(AWnd, &FPaint); }
  ~TcxPaintScope() { EndPaint(FWnd, &FPaint); }
  TcxPaintScope(const TcxPaintScope&) = delete;
  TcxPaintScope& operator=(const TcxPaintScope&) = delete;

  HDC DC() const { return FDC; }
  const TRect& PaintRect() const { return FPaint.rcPaint; }

 private:
  HWND FWnd;
  HDC FDC;
  PAINTSTRUCT FPaint{};
};

bool IsEmptyRect(const TRect& R)
{
  return R.right <= R.left || R.bottom <= R.top;
}

void SendPaintMessages(HWND AWnd, HDC DC)
{
  SendMessageW(AWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), reinterpret_cast<LPARAM>(DC));
  SendMessageW(AWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(DC), PRF_CLIENT);
}

}  // namespace

bool cxGetControlUpdateRegion(vcl::TWinControl* AControl, HRGN ARgn)
{
  if (dxOSIsWindows7 && !cxIsCompositionEnabled())
    return false;
  const int kind = GetUpdateRgn(AControl->GetHandle(), ARgn, FALSE);
  return kind == SIMPLEREGION || kind == COMPLEXREGION;
}

void cxSetLayeredWindowAlpha(HWND AWnd, BYTE AAlpha)
{
  const LONG exStyle = GetWindowLongW(AWnd, GWL_EXSTYLE);
  if (AAlpha < 255) {
    if ((exStyle & WS_EX_LAYERED) == 0)
      SetWindowLongW(AWnd, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    SetLayeredWindowAttributes(AWnd, 0, AAlpha, LWA_ALPHA);
  } else if ((exStyle & WS_EX_LAYERED) != 0) {
    SetWindowLongW(AWnd, GWL_EXSTYLE, exStyle & ~WS_EX_LAYERED);
    RedrawWindow(AWnd, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

void cxDrawGlowTextOnGlass(HDC ADC, const rtl::String& AText, vcl::TFont* AFont, bool ACopyBackground, int AGlowSize,
                           UINT AFormat, vcl::TColor AColor, const TRect& R)
{
  const int width = R.right - R.left;
  const int height = R.bottom - R.top;
  if (width <= 0 || height <= 0)
    return;
  vcl::TOwnedDC memoryDC(CreateCompatibleDC(ADC));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  vcl::TOwnedBitmap dib(CreateDIBSection(ADC, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!memoryDC || !dib)
    return;
  vcl::TSelectObjectGuard selectBitmap(memoryDC.Get(), dib.Get());
  if (ACopyBackground)
    BitBlt(memoryDC.Get(), 0, 0, width, height, ADC, R.left, R.top, SRCCOPY);
  const HFONT font = AFont ? AFont->GetHandle() : static_cast<HFONT>(GetCurrentObject(ADC, OBJ_FONT));
  vcl::TSelectObjectGuard selectFont(memoryDC.Get(), font);
  DTTOPTS options{};
  options.dwSize = sizeof(options);
  options.dwFlags = DTT_COMPOSITED | DTT_TEXTCOLOR;
  options.crText = AColor == vcl::clDefault ? GetTextColor(ADC) : vcl::ColorToRGB(AColor);
  if (AGlowSize > 0) {
    options.dwFlags |= DTT_GLOWSIZE;
    options.iGlowSize = AGlowSize;
  }
  RECT textRect{0, 0, width, height};
  dxUxDrawThemeTextEx(dxOpenTheme(TdxThemedObjectType::totWindow), memoryDC.Get(), 0, 0, AText, -1, AFormat,
                      &textRect, options);
  BitBlt(ADC, R.left, R.top, width, height, memoryDC.Get(), 0, 0, SRCCOPY);
}

void cxBufferedPaintWindow(HWND AWnd, HDC ATargetDC, const TRect& R, bool AKeepAlpha)
{
  if (IsEmptyRect(R))
    return;
  HDC bufferDC = nullptr;
  const HPAINTBUFFER buffer = dxUxBeginBufferedPaint(ATargetDC, &R, BPBF_TOPDOWNDIB, nullptr, &bufferDC);
  if (!buffer) {
    SendPaintMessages(AWnd, ATargetDC);
    return;
  }
  dxUxBufferedPaintClear(buffer, &R);
  SendPaintMessages(AWnd, bufferDC);
  if (!AKeepAlpha)
    dxUxBufferedPaintSetAlpha(buffer, &R, 255);
  // The caret would be painted into the buffer and copied back as a stain.
  const bool focused = GetFocus() == AWnd;
  if (focused)
    HideCaret(AWnd);
  dxUxEndBufferedPaint(buffer, true);
  if (focused)
    ShowCaret(AWnd);
}

void cxRepaintWindowBuffered(HWND AWnd, bool AKeepAlpha)
{
  vcl::TWindowDC dc(AWnd);
  TRect R{};
  GetClientRect(AWnd, &R);
  cxBufferedPaintWindow(AWnd, dc.Get(), R, AKeepAlpha);
}

void cxPaintWindowBuffered(HWND AWnd, bool AKeepAlpha)
{
  TcxPaintScope paint(AWnd);
  cxBufferedPaintWindow(AWnd, paint.DC(), paint.PaintRect(), AKeepAlpha);
}

void cxPaintWindowDoubleBuffered(vcl::TWinControl* AControl)
{
  const HWND wnd = AControl->GetHandle();
  vcl::TOwnedRegion updateRegion(CreateRectRgn(0, 0, 0, 0));
  const bool regionUsable = cxGetControlUpdateRegion(AControl, updateRegion.Get());
  TcxPaintScope paint(wnd);
  const TRect& R = paint.PaintRect();
  if (IsEmptyRect(R))
    return;
  const int width = R.right - R.left;
  const int height = R.bottom - R.top;
  vcl::TOwnedDC memoryDC(CreateCompatibleDC(paint.DC()));
  vcl::TOwnedBitmap bitmap(CreateCompatibleBitmap(paint.DC(), width, height));
  if (!memoryDC || !bitmap)
    return;
  vcl::TSelectObjectGuard selectBitmap(memoryDC.Get(), bitmap.Get());
  SetWindowOrgEx(memoryDC.Get(), R.left, R.top, nullptr);
  if (regionUsable) {
    // Clip regions are in device coordinates: the bitmap starts at the
    // paint rectangle's corner.
    OffsetRgn(updateRegion.Get(), -R.left, -R.top);
    SelectClipRgn(memoryDC.Get(), updateRegion.Get());
  }
  const auto dc = reinterpret_cast<WPARAM>(memoryDC.Get());
  AControl->Perform(WM_ERASEBKGND, dc, static_cast<LPARAM>(dc));
  AControl->Perform(WM_PAINT, dc, 0);
  BitBlt(paint.DC(), R.left, R.top, width, height, memoryDC.Get(), R.left, R.top, SRCCOPY);
}

bool cxIsControlPaintingOnGlass(vcl::TWinControl* AControl)
{
  return AControl && AControl->HandleAllocated() &&
         AControl->GetControlState().Contains(vcl::TControlStateItem::csGlassPaint) && cxIsCompositionEnabled();
}

void cxFlushBufferedPrintClient(vcl::TWinControl* AControl)
{
  if (!AControl || AControl->GetComponentState().Contains(rtl::TComponentStateFlag::csDestroying) ||
      !cxIsControlPaintingOnGlass(AControl))
    return;
  MSG msg{};
  while (PeekMessageW(&msg, AControl->GetHandle(), rtl::CM_BUFFEREDPRINTCLIENT, rtl::CM_BUFFEREDPRINTCLIENT,
                      PM_REMOVE))
    DispatchMessageW(&msg);
}

bool cxCanAllocateControlHandle(vcl::TControl* AControl)
{
  if (!rtl::Is<vcl::TWinControl>(AControl))
    return false;
  auto* control = static_cast<vcl::TWinControl*>(AControl);
  if (control->HandleAllocated())
    return true;
  if (control->GetComponentState().Contains(rtl::TComponentStateFlag::csDestroying))
    return false;
  if (control->GetParentWindow())
    return true;
  if (control->GetParent())
    return cxCanAllocateControlHandle(control->GetParent());
  if (rtl::Is<vcl::TCustomForm>(control))
    return vcl::Application()->GetHandle() != nullptr;
  return false;
}

bool cxIsBufferedEraseBackground(const rtl::TMessage& AMessage)
{
  return AMessage.Msg == WM_ERASEBKGND && static_cast<WPARAM>(AMessage.LParam) == AMessage.WParam;
}
