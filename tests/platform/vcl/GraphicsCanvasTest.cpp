#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/vcl/Graphics.h"
#include "tests/platform/vcl/GraphicsTestSupport.h"

using enum vcl::TBrushStyle;
using enum vcl::TFontStyle;
using enum vcl::TPenMode;
using enum vcl::TPenStyle;

using namespace vcl;
using vcltest::AsPixel;
using vcltest::TSurface;

namespace {

template <class T>
using Owned = rtl::TOwnedPtr<T>;

Owned<TCanvas> CanvasOn(HDC ADC)
{
  Owned<TCanvas> canvas(rtl::New<TCanvas>());
  canvas->SetHandle(ADC);
  return canvas;
}

class ChangeCounter : public rtl::TObject {
  RTL_CLASS(ChangeCounter, rtl::TObject)

 public:
  int Changing = 0;
  int Changed = 0;
  void OnChanging(rtl::TObject*) { ++Changing; }
  void OnChanged(rtl::TObject*) { ++Changed; }
};

TEST(GraphicsCanvas, FillRectFrameRectAndRectangleDrawWhereAsked)
{
  TSurface surface(20, 20);
  const Owned<TCanvas> canvas = CanvasOn(surface.DC());
  canvas->GetBrush()->SetColor(clRed);
  canvas->FillRect(TRect{2, 2, 8, 8});
  EXPECT_EQ(surface.Pixel(2, 2), AsPixel(clRed));
  EXPECT_EQ(surface.Pixel(7, 7), AsPixel(clRed));
  EXPECT_EQ(surface.Pixel(8, 8), 0xFFFFFFu) << "the right and bottom edges are outside";

  canvas->GetBrush()->SetColor(clBlue);
  canvas->FrameRect(TRect{10, 10, 16, 16});
  EXPECT_EQ(surface.Pixel(10, 13), AsPixel(clBlue));
  EXPECT_EQ(surface.Pixel(15, 15), AsPixel(clBlue));
  EXPECT_EQ(surface.Pixel(12, 12), 0xFFFFFFu);

  canvas->GetPen()->SetColor(clLime);
  canvas->GetBrush()->SetStyle(bsClear);
  canvas->Rectangle(1, 10, 8, 18);
  EXPECT_EQ(surface.Pixel(1, 14), AsPixel(clLime));
  EXPECT_EQ(surface.Pixel(7, 17), AsPixel(clLime));
  EXPECT_EQ(surface.Pixel(4, 14), 0xFFFFFFu) << "a clear brush leaves the inside";

  canvas->GetBrush()->SetColor(clYellow);
  canvas->Ellipse(TRect{10, 0, 20, 10});
  EXPECT_EQ(surface.Pixel(15, 5), AsPixel(clYellow));
  EXPECT_EQ(surface.Pixel(10, 0), 0xFFFFFFu);

  const TPoint triangle[] = {{0, 19}, {6, 19}, {0, 13}};
  canvas->GetPen()->SetColor(clBlack);
  canvas->Polyline(triangle);
  EXPECT_EQ(surface.Pixel(3, 19), 0u);

  // The *To forms draw from the pen position and leave the pen at their end.
  canvas->MoveTo(10, 19);
  const TPoint curve[] = {{12, 19}, {16, 19}, {19, 19}};
  canvas->PolyBezierTo(curve);
  EXPECT_EQ(surface.Pixel(14, 19), 0u);
  EXPECT_EQ(canvas->GetPenPos().x, 19);
}

TEST(GraphicsCanvas, TextOutDrawsInsideItsExtentAndMovesThePen)
{
  TSurface surface(120, 40);
  const Owned<TCanvas> canvas = CanvasOn(surface.DC());
  canvas->GetFont()->SetColor(clBlack);
  canvas->GetBrush()->SetStyle(bsClear);
  const String text = L"Kelvaro";
  const TSize extent = canvas->TextExtent(text);
  EXPECT_GT(extent.cx, 0);
  EXPECT_GT(extent.cy, 0);
  EXPECT_EQ(canvas->TextWidth(text), extent.cx);
  EXPECT_EQ(canvas->TextHeight(text), extent.cy);

  canvas->TextOut(5, 5, text);
  int inked = 0;
  int outside = 0;
  for (int y = 0; y < surface.Height(); ++y)
    for (int x = 0; x < surface.Width(); ++x) {
      if (surface.Pixel(x, y) == 0xFFFFFF)
        continue;
      const bool inside = x >= 5 && x < 5 + extent.cx && y >= 5 && y < 5 + extent.cy;
      (inside ? inked : outside) += 1;
    }
  EXPECT_GT(inked, 10);
  EXPECT_EQ(outside, 0);
  EXPECT_EQ(canvas->GetPenPos().x, 5 + extent.cx);

  // An opaque brush fills the text cell with its colour.
  canvas->GetBrush()->SetColor(clAqua);
  canvas->TextRect(TRect{0, 30, 40, 40}, 0, 30, L"x");
  EXPECT_EQ(surface.Pixel(39, 39), AsPixel(clAqua));
}

TEST(GraphicsCanvas, ACanvasOnAnExistingDCTakesOverItsObjects)
{
  TSurface surface(10, 10);
  LOGFONTW logFont{};
  logFont.lfHeight = -20;
  logFont.lfWeight = FW_BOLD;
  lstrcpyW(logFont.lfFaceName, L"Courier New");
  const TOwnedFont font(CreateFontIndirectW(&logFont));
  const TOwnedBrush brush(CreateHatchBrush(HS_FDIAGONAL, RGB(0, 128, 0)));
  const TOwnedPen pen(CreatePen(PS_DOT, 1, RGB(0, 0, 255)));
  const TSelectObjectGuard selectedFont(surface.DC(), font.Get());
  const TSelectObjectGuard selectedBrush(surface.DC(), brush.Get());
  const TSelectObjectGuard selectedPen(surface.DC(), pen.Get());
  SetTextColor(surface.DC(), RGB(255, 0, 0));
  const int oldRop = SetROP2(surface.DC(), R2_XORPEN);

  const Owned<TCanvas> canvas(rtl::New<TCanvas>());
  canvas->CreateOnDC(surface.DC());
  EXPECT_EQ(canvas->GetFont()->GetName(), L"Courier New");
  EXPECT_EQ(canvas->GetFont()->GetHeight(), -20);
  EXPECT_EQ(canvas->GetFont()->GetStyle(), TFontStyles{fsBold});
  EXPECT_EQ(canvas->GetFont()->GetColor(), clRed);
  EXPECT_EQ(canvas->GetBrush()->GetStyle(), bsFDiagonal);
  EXPECT_EQ(canvas->GetBrush()->GetColor(), clGreen);
  EXPECT_EQ(canvas->GetPen()->GetStyle(), psDot);
  EXPECT_EQ(canvas->GetPen()->GetColor(), clBlue);
  EXPECT_EQ(canvas->GetPen()->GetMode(), pmXor);
  EXPECT_NE(canvas->GetFont()->GetHandle(), font.Get()) << "the canvas copies the DC's font, it does not take it";

  SetROP2(surface.DC(), oldRop);
  const Owned<TCanvas> plain(rtl::New<TCanvas>());
  SelectObject(surface.DC(), GetStockObject(NULL_BRUSH));
  plain->CreateOnDC(surface.DC());
  EXPECT_EQ(plain->GetBrush()->GetStyle(), bsClear);
  EXPECT_EQ(plain->GetPen()->GetMode(), pmCopy);
}

TEST(GraphicsCanvas, TheDCGetsItsOwnObjectsBackAndNothingLeaks)
{
  TSurface surface(30, 30);
  const HGDIOBJ font = GetCurrentObject(surface.DC(), OBJ_FONT);
  const HGDIOBJ brush = GetCurrentObject(surface.DC(), OBJ_BRUSH);
  const HGDIOBJ pen = GetCurrentObject(surface.DC(), OBJ_PEN);
  const DWORD gdiObjects = vcltest::GdiObjectCount();

  for (int pass = 0; pass < 50; ++pass) {
    std::vector<HGDIOBJ> used;
    {
      const Owned<TCanvas> canvas = CanvasOn(surface.DC());
      canvas->GetBrush()->SetColor(clRed);
      canvas->Rectangle(0, 0, 10, 10);
      canvas->TextOut(0, 0, L"a");
      used.push_back(GetCurrentObject(surface.DC(), OBJ_FONT));
      used.push_back(GetCurrentObject(surface.DC(), OBJ_BRUSH));
      used.push_back(GetCurrentObject(surface.DC(), OBJ_PEN));
      // Changes while selected: the old objects leave the DC before they go.
      canvas->GetFont()->SetSize(14);
      canvas->GetBrush()->SetStyle(bsCross);
      canvas->GetPen()->SetWidth(2);
      canvas->Rectangle(0, 0, 10, 10);
      canvas->TextOut(0, 0, L"b");
      EXPECT_EQ(GetCurrentObject(surface.DC(), OBJ_FONT), canvas->GetFont()->GetHandle());
      EXPECT_EQ(GetCurrentObject(surface.DC(), OBJ_BRUSH), canvas->GetBrush()->GetHandle());
      EXPECT_EQ(GetCurrentObject(surface.DC(), OBJ_PEN), canvas->GetPen()->GetHandle());
      used.push_back(GetCurrentObject(surface.DC(), OBJ_FONT));
      used.push_back(GetCurrentObject(surface.DC(), OBJ_BRUSH));
      used.push_back(GetCurrentObject(surface.DC(), OBJ_PEN));
    }
    ASSERT_EQ(GetCurrentObject(surface.DC(), OBJ_FONT), font);
    ASSERT_EQ(GetCurrentObject(surface.DC(), OBJ_BRUSH), brush);
    ASSERT_EQ(GetCurrentObject(surface.DC(), OBJ_PEN), pen);
    for (HGDIOBJ object : used)
      ASSERT_EQ(GetObjectType(object), 0u) << "pass " << pass;
  }
  EXPECT_EQ(vcltest::GdiObjectCount(), gdiObjects);

  // Refresh takes the objects out at once; the next drawing selects them.
  const Owned<TCanvas> canvas = CanvasOn(surface.DC());
  canvas->FillRect(TRect{0, 0, 1, 1});
  EXPECT_NE(GetCurrentObject(surface.DC(), OBJ_BRUSH), brush);
  canvas->Refresh();
  EXPECT_EQ(GetCurrentObject(surface.DC(), OBJ_BRUSH), brush);
}

TEST(GraphicsCanvas, PixelsClipRectCopyRectAndEvents)
{
  TSurface surface(10, 10);
  TSurface source(10, 10, 0x000000FF);
  const Owned<TCanvas> canvas = CanvasOn(surface.DC());
  const Owned<ChangeCounter> counter(rtl::New<ChangeCounter>());
  canvas->SetOnChanging(rtl::TNotifyEvent::Bind<&ChangeCounter::OnChanging>(counter.get()));
  canvas->SetOnChange(rtl::TNotifyEvent::Bind<&ChangeCounter::OnChanged>(counter.get()));

  canvas->SetPixel(3, 4, clRed);
  EXPECT_EQ(canvas->GetPixel(3, 4), clRed);
  EXPECT_EQ(surface.Pixel(3, 4), AsPixel(clRed));
  EXPECT_EQ(counter->Changing, 1);
  EXPECT_EQ(counter->Changed, 1);

  const TRect whole = canvas->GetClipRect();
  EXPECT_EQ(whole.right, 10);
  IntersectClipRect(surface.DC(), 2, 2, 5, 5);
  const TRect clipped = canvas->GetClipRect();
  EXPECT_EQ(clipped.left, 2);
  EXPECT_EQ(clipped.bottom, 5);
  SelectClipRgn(surface.DC(), nullptr);

  const Owned<TCanvas> from = CanvasOn(source.DC());
  canvas->CopyRect(TRect{0, 0, 2, 2}, from.get(), TRect{0, 0, 2, 2});
  EXPECT_EQ(surface.Pixel(1, 1), 0x0000FFu);
  canvas->SetCopyMode(cmDstInvert);
  canvas->CopyRect(TRect{0, 0, 2, 2}, from.get(), TRect{0, 0, 2, 2});
  EXPECT_EQ(surface.Pixel(1, 1), 0xFFFF00u);
}

TEST(GraphicsCanvas, DrawingWithoutADCRaises)
{
  const Owned<TCanvas> canvas(rtl::New<TCanvas>());
  EXPECT_FALSE(canvas->HandleAllocated());
  EXPECT_THROW(canvas->FillRect(TRect{0, 0, 1, 1}), rtl::EInvalidOperation);
}

TEST(GraphicsCanvas, LockIsExclusiveAcrossThreadsAndCounted)
{
  const Owned<TCanvas> canvas(rtl::New<TCanvas>());
  canvas->Lock();
  canvas->Lock();
  EXPECT_EQ(canvas->GetLockCount(), 2);
  std::atomic<int> otherGotIt{-1};
  std::thread([&] { otherGotIt = canvas->TryLock() ? 1 : 0; }).join();
  EXPECT_EQ(otherGotIt, 0);
  canvas->Unlock();
  canvas->Unlock();
  EXPECT_EQ(canvas->GetLockCount(), 0);
  std::thread([&] {
    otherGotIt = canvas->TryLock() ? 1 : 0;
    if (otherGotIt)
      canvas->Unlock();
  }).join();
  EXPECT_EQ(otherGotIt, 1);
}

}  // namespace
