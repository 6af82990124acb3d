// The paint canvases, the unit's start-up and finish, and the stream adapter.
#include <algorithm>
#include <utility>

#include "core/dxCore.h"
#include "graphics/dxGDIPlusClasses.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "graphics/dxGDIPlusClassesImages.h"
#include "platform/rtl/ClassesThreads.h"

using enum vcl::TPixelFormat;

namespace {

using TWindowFromDC = HWND(WINAPI*)(HDC);

// Looked up at start-up: not every system has it.
constinit TWindowFromDC WindowFromDCProc = nullptr;
// Made on first use without a lock: the first paint comes from the
// user-interface thread before any other thread paints.
constinit TdxGPPaintCanvas* GPPaintCanvas = nullptr;

// The unit's other parts add their steps to these two.
void dxGDIPlusClassesInitialization()
{
  if (const HMODULE user32 = GetModuleHandleW(L"user32.dll"))
    WindowFromDCProc = reinterpret_cast<TWindowFromDC>(GetProcAddress(user32, "WindowFromDC"));
  // Caches, classes and picture formats first: their finish then runs after
  // the codecs are gone.
  dxGpRegisterImageClassesStep();
  dxGpRegisterRasterCodecsStep();
}

void dxGDIPlusClassesFinalization()
{
  dxGpUnregisterRasterCodecsStep();
  TdxGPFontFamily::FreeGenericFamilies();
  dxGpUnregisterImageClassesStep();
  rtl::FreeAndNil(GPPaintCanvas);
}

}  // namespace

RTL_UNIT(dxGDIPlusClasses, &dxGDIPlusClassesInitialization, &dxGDIPlusClassesFinalization);

// ---------------------------------------------------------------------------
// TdxGPCustomPaintCanvas

void TdxGPCustomPaintCanvas::Create()
{
  inherited::Create();
  FLock = rtl::New<rtl::TCriticalSection>();
}

void TdxGPCustomPaintCanvas::Destroy()
{
  rtl::FreeAndNil(FLock);
  inherited::Destroy();
}

void TdxGPCustomPaintCanvas::BeginPaint(HDC DC, const TRect& R)
{
  FLock->Enter();
  SaveState();
  FDrawRect = R;
  FDrawDC = DC;
  FHandle = nullptr;
  HDC target = DC;
  if (NeedsBufferedPaint(DC)) {
    // One pixel wider and taller than R, as the framework's buffered paint
    // has always been; the extra row and column are copied back unchanged
    // unless something was drawn there.
    FBuffer = rtl::New<vcl::TBitmap>();
    FBuffer->SetPixelFormat(pf32bit);
    FBuffer->SetSize(R.right - R.left + 1, R.bottom - R.top + 1);
    vcl::TCanvas* canvas = FBuffer->GetCanvas();
    canvas->Lock();
    target = canvas->GetHandle();
    BitBlt(target, 0, 0, FBuffer->GetWidth(), FBuffer->GetHeight(), DC, R.left, R.top, SRCCOPY);
    // Callers draw in the DC's coordinates.
    SetWindowOrgEx(target, R.left, R.top, nullptr);
    FIsLowColorsMode = true;
  } else {
    FBuffer = nullptr;
    FIsLowColorsMode = false;
  }
  dxGpCheck(dxGpFunctions.GdipCreateFromHDC(target, &FHandle));
}

void TdxGPCustomPaintCanvas::BeginPaint(Gdiplus::GpGraphics* AHandle)
{
  FLock->Enter();
  SaveState();
  FDrawRect = TRect{};
  FDrawDC = nullptr;
  FHandle = AHandle;
  FBuffer = nullptr;
}

namespace {

// Copies the buffer back onto the paint's DC at the painted rectangle.
void FlushPaintBuffer(vcl::TBitmap* ABuffer, HDC ADC, const TRect& ADrawRect)
{
  const int savedDC = SaveDC(ADC);
  rtl::TOwnedPtr<vcl::TCanvas> canvas(rtl::New<vcl::TCanvas>());
  canvas->Lock();
  canvas->SetHandle(ADC);
  SetWindowOrgEx(ABuffer->GetCanvas()->GetHandle(), 0, 0, nullptr);
  canvas->Draw(ADrawRect.left, ADrawRect.top, ABuffer);
  canvas->SetHandle(nullptr);
  canvas->Unlock();
  RestoreDC(ADC, savedDC);
}

}  // namespace

void TdxGPCustomPaintCanvas::EndPaint()
{
  // The state is restored and the lock left on every path, or one failed
  // paint would shut every other thread out of painting for good.
  struct TRestoreAndLeave {
    TdxGPCustomPaintCanvas* Canvas;
    ~TRestoreAndLeave()
    {
      Canvas->RestoreState();
      Canvas->FLock->Leave();
    }
  } restoreAndLeave{this};

  // A borrowed graphics is not ours to delete, but it is forgotten all the
  // same: a canvas without saved states would otherwise delete it when freed.
  // The handle is missing when the BeginPaint that made it raised.
  Gdiplus::GpGraphics* graphics = std::exchange(FHandle, nullptr);
  vcl::TBitmap* buffer = std::exchange(FBuffer, nullptr);
  rtl::TOwnedPtr<vcl::TBitmap> bufferOwner(buffer);
  if (FDrawDC && graphics)
    dxGpCheck(dxGpFunctions.GdipDeleteGraphics(graphics));
  if (buffer) {
    FlushPaintBuffer(buffer, FDrawDC, FDrawRect);
    buffer->GetCanvas()->Unlock();
  }
}

// ---------------------------------------------------------------------------
// TdxGPPaintCanvas

void TdxGPPaintCanvas::Destroy()
{
  FSavedStates.clear();
  inherited::Destroy();
}

void TdxGPPaintCanvas::SaveState()
{
  const std::size_t needed = static_cast<std::size_t>(FCounter) + 1;
  if (FSavedStates.size() < needed)
    FSavedStates.resize(std::max(needed, FSavedStates.size() + 4));
  FSavedStates[FCounter] = {FHandle, FBuffer, FDrawRect, FDrawDC};
  ++FCounter;
}

void TdxGPPaintCanvas::RestoreState()
{
  --FCounter;
  const TdxGPPaintCanvasState& state = FSavedStates[FCounter];
  FHandle = state.Handle;
  FBuffer = state.Buffer;
  FDrawRect = state.DrawRect;
  FDrawDC = state.DC;
}

// ---------------------------------------------------------------------------
// Unit routines

TdxGPPaintCanvas* dxGpPaintCanvas()
{
  if (!GPPaintCanvas)
    GPPaintCanvas = rtl::New<TdxGPPaintCanvas>();
  return GPPaintCanvas;
}

TdxGPCustomPaintCanvas* dxGpBeginPaint(HDC DC, const TRect& R)
{
  rtl::TOwnedPtr<TdxGPCustomPaintCanvas> canvas(rtl::New<TdxGPCustomPaintCanvas>());
  try {
    canvas->BeginPaint(DC, R);
  } catch (...) {
    canvas->EndPaint();
    throw;
  }
  return canvas.release();
}

void dxGpEndPaint(TdxGPCustomPaintCanvas*& ACanvas)
{
  rtl::TOwnedPtr<TdxGPCustomPaintCanvas> canvas(std::exchange(ACanvas, nullptr));
  canvas->EndPaint();
}

void dxGpFillRect(HDC DC, const TRect& R, vcl::TColor AColor, BYTE AAlpha)
{
  TdxGPPaintCanvas* canvas = dxGpPaintCanvas();
  // BeginPaint is guarded too: when it raises it still holds the lock.
  try {
    canvas->BeginPaint(DC, R);
    canvas->FillRectangle(R, dxColorToAlphaColor(AColor, AAlpha));
  } catch (...) {
    canvas->EndPaint();
    throw;
  }
  canvas->EndPaint();
}

void dxGpPaintMirrored(TdxGPCanvas* ACanvas, const TRect& R, bool AMirror, const std::function<void()>& AProc)
{
  if (!AMirror) {
    AProc();
    return;
  }
  ACanvas->SaveWorldTransform();
  ACanvas->FlipWorldTransform(true, false, (R.left + R.right) / 2.0f, 0.0f);
  // The mode is read from the canvas drawn on, which is the shared paint
  // canvas for every caller; a private canvas gets its own mode back too.
  const Gdiplus::PixelOffsetMode mode = ACanvas->GetPixelOffsetMode();
  const auto restore = [&] {
    ACanvas->SetPixelOffsetMode(mode);
    ACanvas->RestoreWorldTransform();
  };
  try {
    ACanvas->SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    AProc();
  } catch (...) {
    restore();
    throw;
  }
  restore();
}

bool dxGpNeedsBufferedPaint(HDC DC)
{
  if (GetDeviceCaps(DC, BITSPIXEL) <= 16)
    return true;
  if (GetDeviceCaps(DC, TECHNOLOGY) == DT_RASPRINTER)
    return true;
  if (GetDeviceCaps(DC, NUMCOLORS) > 1)
    return true;
  // The NT 6 family composes layered windows itself; older systems lose the
  // alpha drawn straight onto their DCs.
  if (!dxOSIsWindowsVistaOrLater && WindowFromDCProc) {
    const HWND window = WindowFromDCProc(DC);
    return window && (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
  }
  return false;
}

// ---------------------------------------------------------------------------
// TdxGPStreamAdapter

HRESULT __stdcall TdxGPStreamAdapter::Stat(STATSTG* pstatstg, DWORD grfStatFlag)
{
  if (!pstatstg)
    return S_OK;
  return rtl::GuardCallback(E_UNEXPECTED, [&] {
    *pstatstg = STATSTG{};
    return inherited::Stat(pstatstg, grfStatFlag);
  });
}
