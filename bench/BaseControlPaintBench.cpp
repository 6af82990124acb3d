// Times a 400 x 300 base control repainted through its buffered road (a
// double-buffered control paints into a memory bitmap that is then copied
// to its window) against a plain BitBlt of a bitmap of the same size onto
// the same window, and reports the ratio, both measured in the same run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/LinkOrder.h"
#include "controls/cxControls.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/vcl/GraphicsHandles.h"

namespace {

constexpr int PaintBenchRepaints = 300;
constexpr TRect PaintBenchBounds{0, 0, 400, 300};

// Stripes and a frame: a little more than one fill, as a real control has.
class TPaintBenchControl : public TcxControl {
  RTL_CLASS(TPaintBenchControl, TcxControl)

 protected:
  void DoPaint() override
  {
    inherited::DoPaint();
    TcxCanvas* canvas = GetCanvas();
    const TRect client = GetClientBounds();
    canvas->FillRect(client, vcl::clWindow);
    for (int y = client.top; y < client.bottom; y += 20)
      canvas->FillRect(TRect{client.left, y, client.right, y + 10}, vcl::clBtnFace);
    canvas->FrameRect(client, vcl::clBtnShadow);
  }
};

double PaintBenchSeconds(LARGE_INTEGER AFrom, LARGE_INTEGER ATo)
{
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return double(ATo.QuadPart - AFrom.QuadPart) / double(frequency.QuadPart);
}

// The best of a few runs, so that one disturbed run does not count.
template <class F>
double PaintBenchBest(F&& APaint)
{
  double best = 1e300;
  for (int run = 0; run < 5; ++run) {
    LARGE_INTEGER start, stop;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < PaintBenchRepaints; ++i)
      APaint();
    QueryPerformanceCounter(&stop);
    best = std::min(best, PaintBenchSeconds(start, stop));
  }
  return best / PaintBenchRepaints;
}

}  // namespace

int main()
{
  const std::vector<const rtl::UnitInfo*> units = rtl::OrderUnits(rtl::LinkedUnits(), kLinkOrderNames);
  rtl::InitUnits(units);
  {
    const HWND host = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                      PaintBenchBounds.right, PaintBenchBounds.bottom, nullptr, nullptr, nullptr,
                                      nullptr);
    rtl::TOwnedPtr<TPaintBenchControl> control(
        rtl::NewWith<TPaintBenchControl>([&](TPaintBenchControl* C) { C->CreateParented(host); }));
    control->SetBoundsRect(PaintBenchBounds);
    control->SetDoubleBuffered(true);
    control->SetVisible(true);
    control->HandleNeeded();
    const HWND wnd = control->GetHandle();
    UpdateWindow(wnd);

    rtl::TOwnedPtr<TcxBitmap> source(
        rtl::NewWith<TcxBitmap>([](TcxBitmap* B) { B->CreateSize(PaintBenchBounds, vcl::TPixelFormat::pf32bit); }));
    const HDC sourceDC = source->GetCanvas()->GetHandle();

    const double buffered = PaintBenchBest([&] {
      InvalidateRect(wnd, nullptr, FALSE);
      UpdateWindow(wnd);
    });
    const double blit = PaintBenchBest([&] {
      vcl::TWindowDC dc(wnd);
      BitBlt(dc.Get(), 0, 0, PaintBenchBounds.right, PaintBenchBounds.bottom, sourceDC, 0, 0, SRCCOPY);
    });
    std::printf("%-28s %12s %10s\n", "paint (400 x 300)", "us per paint", "ratio");
    std::printf("%-28s %12.2f %10.2f\n", "BitBlt", blit * 1e6, 1.0);
    std::printf("%-28s %12.2f %10.2f\n", "control, buffered road", buffered * 1e6, buffered / blit);
    control.reset();
    DestroyWindow(host);
  }
  rtl::FinalizeUnits();
  return 0;
}
