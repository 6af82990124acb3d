// TControlCanvas, TCustomControl and TGraphicControl.
#include <algorithm>
#include <vector>

#include "platform/vcl/Controls.h"

using enum vcl::TControlStateItem;

namespace vcl {

namespace {

// The control canvases holding a DC of a window. Each message handled by a
// control's window ends by giving those DCs back: the cache of common DCs
// is small and a DC kept across messages would go stale when the window
// moves.
std::vector<TControlCanvas*>& CanvasList()
{
  static std::vector<TControlCanvas*>* list = new std::vector<TControlCanvas*>();
  return *list;
}

}  // namespace

void FreeDeviceContexts()
{
  // A locked canvas is being drawn on, perhaps by a handler further up the
  // stack: its DC stays.
  std::vector<TControlCanvas*> list = CanvasList();
  for (TControlCanvas* canvas : list)
    if (canvas->TryLock()) {
      canvas->FreeHandle();
      canvas->Unlock();
    }
}

// ---------------------------------------------------------------------------
// TControlCanvas

void TControlCanvas::Destroy()
{
  FreeHandle();
  inherited::Destroy();
}

void TControlCanvas::SetControl(TControl* AValue)
{
  if (FControl == AValue)
    return;
  FreeHandle();
  FControl = AValue;
}

void TControlCanvas::FreeHandle()
{
  if (!FDeviceContext)
    return;
  SetHandle(nullptr);
  // Back to the window it was borrowed from, at the end of the call.
  const TWindowDC borrowed(std::exchange(FWindowHandle, nullptr), std::exchange(FDeviceContext, nullptr));
  std::erase(CanvasList(), this);
}

void TControlCanvas::CreateHandle()
{
  if (!FControl) {
    inherited::CreateHandle();
    return;
  }
  if (!FDeviceContext) {
    FDeviceContext = FControl->GetDeviceContext(FWindowHandle);
    CanvasList().push_back(this);
  }
  SetHandle(FDeviceContext);
  UpdateTextFlags();
}

void TControlCanvas::UpdateTextFlags()
{
  if (!FControl)
    return;
  int flags = GetTextFlags() & ~ETO_RTLREADING;
  if (FControl->UseRightToLeftReading())
    flags |= ETO_RTLREADING;
  SetTextFlags(flags);
}

// ---------------------------------------------------------------------------
// TCustomControl

void TCustomControl::Create(TComponent* AOwner)
{
  inherited::Create(AOwner);
  auto* canvas = rtl::New<TControlCanvas>();
  canvas->SetControl(this);
  FCanvas = canvas;
}

void TCustomControl::Destroy()
{
  inherited::Destroy();
  rtl::FreeAndNil(FCanvas);
}

void TCustomControl::WMPaint(TWMPaint& AMessage)
{
  FControlState.Include(csCustomPaint);
  try {
    rtl::InheritedMessage(this, AMessage);
  } catch (...) {
    FControlState.Exclude(csCustomPaint);
    throw;
  }
  FControlState.Exclude(csCustomPaint);
}

// Paint draws on the canvas bound to the paint DC; the DC's objects are
// back as they were when it returns.
void TCustomControl::PaintWindow(HDC ADC)
{
  FCanvas->Lock();
  struct TUnbind {
    TCanvas* Canvas;
    ~TUnbind()
    {
      Canvas->SetHandle(nullptr);
      Canvas->Unlock();
    }
  } unbind{FCanvas};
  FCanvas->SetHandle(ADC);
  static_cast<TControlCanvas*>(FCanvas)->UpdateTextFlags();
  Paint();
}

// ---------------------------------------------------------------------------
// TGraphicControl

void TGraphicControl::Create(TComponent* AOwner)
{
  inherited::Create(AOwner);
  auto* canvas = rtl::New<TControlCanvas>();
  canvas->SetControl(this);
  FCanvas = canvas;
}

void TGraphicControl::Destroy()
{
  // The canvas may hold a DC of the parent's window, which goes first.
  static_cast<TControlCanvas*>(FCanvas)->FreeHandle();
  inherited::Destroy();
  rtl::FreeAndNil(FCanvas);
}

// The parent's PaintControls sends WM_PAINT with its DC moved to the
// control's origin and clipped to it.
void TGraphicControl::WMPaint(TWMPaint& AMessage)
{
  if (!AMessage.DC)
    return;
  FCanvas->Lock();
  struct TUnbind {
    TCanvas* Canvas;
    ~TUnbind()
    {
      Canvas->SetHandle(nullptr);
      Canvas->Unlock();
    }
  } unbind{FCanvas};
  FCanvas->SetHandle(AMessage.DC);
  Paint();
}

}  // namespace vcl
