#include "controls/cxBufferedPaint.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/support/TestHost.h"

namespace {

TEST(cxBufferedPaint, RecognisesItsOwnEraseMessages)
{
  EXPECT_TRUE(cxIsBufferedEraseBackground({WM_ERASEBKGND, 0x1234, 0x1234, 0}));
  EXPECT_FALSE(cxIsBufferedEraseBackground({WM_ERASEBKGND, 0x1234, 0, 0}));
  EXPECT_FALSE(cxIsBufferedEraseBackground({WM_PAINT, 0x1234, 0x1234, 0}));
}

TEST(cxBufferedPaint, LayeredAlphaComesAndGoes)
{
  const HWND wnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  const auto layered = [&] { return (GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; };
  cxSetLayeredWindowAlpha(wnd, 255);
  EXPECT_FALSE(layered()) << "255 on an ordinary window changes nothing";
  cxSetLayeredWindowAlpha(wnd, 128);
  EXPECT_TRUE(layered());
  BYTE alpha = 0;
  DWORD flags = 0;
  if (GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags)) {
    EXPECT_EQ(alpha, 128);
    EXPECT_TRUE(flags & LWA_ALPHA);
  }
  cxSetLayeredWindowAlpha(wnd, 255);
  EXPECT_FALSE(layered());
  DestroyWindow(wnd);
}

// Paints a red square on a green ground, each through its own message, so
// a road that drops either shows.
class TBufferedPaintTestPanel : public kvtest::TTestPanel {
  RTL_CLASS(TBufferedPaintTestPanel, kvtest::TTestPanel)
  RTL_MESSAGES(RTL_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd), RTL_MESSAGE(WM_PAINT, WMPaint),
               RTL_MESSAGE(WM_PRINTCLIENT, WMPrintClient))

 public:
  bool DoubleBufferedRoad;

 private:
  void WMEraseBkgnd(rtl::TMessage& AMessage)
  {
    const HDC dc = reinterpret_cast<HDC>(AMessage.WParam);
    RECT R{0, 0, GetWidth(), GetHeight()};
    FillRect(dc, &R, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    HBRUSH green = CreateSolidBrush(RGB(0, 160, 0));
    FillRect(dc, &R, green);
    DeleteObject(green);
    AMessage.Result = 1;
  }
  void PaintSquare(HDC ADC)
  {
    HBRUSH red = CreateSolidBrush(RGB(200, 0, 0));
    RECT R{10, 10, 30, 30};
    FillRect(ADC, &R, red);
    DeleteObject(red);
  }
  void WMPaint(rtl::TMessage& AMessage)
  {
    if (AMessage.WParam) {
      PaintSquare(reinterpret_cast<HDC>(AMessage.WParam));
      return;
    }
    if (DoubleBufferedRoad)
      cxPaintWindowDoubleBuffered(this);
    else
      cxPaintWindowBuffered(GetHandle(), false);
  }
  void WMPrintClient(rtl::TMessage& AMessage) { PaintSquare(reinterpret_cast<HDC>(AMessage.WParam)); }
};

class cxBufferedPaintTest : public kvtest::THostedTest {
 protected:
  // The window's pixels as the screen shows them, 0xRRGGBB.
  std::vector<std::uint32_t> Capture(HWND AWnd, int AWidth, int AHeight)
  {
    HDC screen = GetDC(AWnd);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), AWidth, -AHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, AWidth, AHeight, screen, 0, 0, SRCCOPY);
    GdiFlush();
    std::vector<std::uint32_t> result(static_cast<const std::uint32_t*>(bits),
                                      static_cast<const std::uint32_t*>(bits) + AWidth * AHeight);
    for (std::uint32_t& pixel : result)
      pixel &= 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(AWnd, screen);
    return result;
  }
};

TEST_F(cxBufferedPaintTest, BothRoadsPaintTheBackgroundAndTheContent)
{
  for (const bool doubleBuffered : {true, false}) {
    auto* panel = AddChild<TBufferedPaintTestPanel>({0, 0, 40, 40});
    panel->DoubleBufferedRoad = doubleBuffered;
    panel->HandleNeeded();
    InvalidateRect(panel->GetHandle(), nullptr, TRUE);
    UpdateWindow(panel->GetHandle());
    const std::vector<std::uint32_t> pixels = Capture(panel->GetHandle(), 40, 40);
    EXPECT_EQ(pixels[5 * 40 + 5], 0x00A000u) << "ground, double buffered: " << doubleBuffered;
    EXPECT_EQ(pixels[20 * 40 + 20], 0xC80000u) << "square, double buffered: " << doubleBuffered;
    rtl::Free(panel);
  }
}

}  // namespace
