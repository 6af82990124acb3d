#include <gtest/gtest.h>

#include <cstring>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

#include "core/dxCore.h"
#include "graphics/dxGDIPlusClasses.h"
#include "platform/rtl/Classes.h"

namespace {

using rtl::TOwnedPtr;

// A memory DC over a DIB section of the given depth, filled white.
class TPaintCanvasTestDC {
 public:
  TPaintCanvasTestDC(int AWidth, int AHeight, WORD ABitCount)
  {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = AWidth;
    info.bmiHeader.biHeight = -AHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = ABitCount;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    FBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    FDC = CreateCompatibleDC(nullptr);
    FOldBitmap = SelectObject(FDC, FBitmap);
    Fill(TRect{0, 0, AWidth, AHeight}, RGB(255, 255, 255));
  }
  ~TPaintCanvasTestDC()
  {
    SelectObject(FDC, FOldBitmap);
    DeleteDC(FDC);
    DeleteObject(FBitmap);
  }
  TPaintCanvasTestDC(const TPaintCanvasTestDC&) = delete;
  TPaintCanvasTestDC& operator=(const TPaintCanvasTestDC&) = delete;

  HDC DC() const { return FDC; }
  void Fill(const TRect& R, COLORREF AColor)
  {
    const HBRUSH brush = CreateSolidBrush(AColor);
    FillRect(FDC, &R, brush);
    DeleteObject(brush);
  }
  COLORREF Pixel(int X, int Y) const
  {
    GdiFlush();
    return GetPixel(FDC, X, Y);
  }

 private:
  HBITMAP FBitmap = nullptr;
  HDC FDC = nullptr;
  HGDIOBJ FOldBitmap = nullptr;
};

// Channels of a 16-bit device lose their low bits.
bool NearColor(COLORREF AActual, COLORREF AExpected, int ATolerance = 8)
{
  const auto close = [&](int A, int B) { return std::abs(A - B) <= ATolerance; };
  return close(GetRValue(AActual), GetRValue(AExpected)) && close(GetGValue(AActual), GetGValue(AExpected)) &&
         close(GetBValue(AActual), GetBValue(AExpected));
}

constexpr COLORREF PaintWhite = RGB(255, 255, 255);
constexpr COLORREF PaintGreen = RGB(0, 255, 0);
constexpr COLORREF RedRGB = RGB(255, 0, 0);
constexpr TdxAlphaColor PaintRed = 0xFFFF0000;
constexpr TdxAlphaColor PaintBlue = 0xFF0000FF;
constexpr TdxAlphaColor HalfBlue = 0x800000FF;
// Half blue over white.
constexpr COLORREF PaleBlue = RGB(127, 127, 255);

// Sets the system flag for one test and puts it back.
class TPaintCanvasTestOSFlag {
 public:
  explicit TPaintCanvasTestOSFlag(bool AVistaOrLater) : FSaved(dxOSIsWindowsVistaOrLater)
  {
    dxOSIsWindowsVistaOrLater = AVistaOrLater;
  }
  ~TPaintCanvasTestOSFlag() { dxOSIsWindowsVistaOrLater = FSaved; }
  TPaintCanvasTestOSFlag(const TPaintCanvasTestOSFlag&) = delete;
  TPaintCanvasTestOSFlag& operator=(const TPaintCanvasTestOSFlag&) = delete;

 private:
  bool FSaved;
};

// A paint canvas that takes its one DC for a low-colour device: the test
// system reports the screen's depth for every memory DC, whatever bitmap it
// holds.
class TPaintCanvasTestLowColourCanvas : public TdxGPPaintCanvas {
  RTL_CLASS(TPaintCanvasTestLowColourCanvas, TdxGPPaintCanvas)

 public:
  void SetLowColourDC(HDC DC) { FLowColourDC = DC; }

 protected:
  bool NeedsBufferedPaint(HDC DC) override { return DC == FLowColourDC || inherited::NeedsBufferedPaint(DC); }

 private:
  HDC FLowColourDC = nullptr;
};

}  // namespace

// Not in an anonymous namespace: the tests derive from it, which GCC refuses
// once the file is compiled as part of a larger one.
class dxGPPaintCanvas : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dxGpIsAvailable()); }
};

// --------------------------------------------------------------------------
// The buffering decision

TEST_F(dxGPPaintCanvas, LayeredWindowsAreBufferedOnlyBeforeTheNT6Family)
{
  const struct {
    DWORD ExStyle;
    bool VistaOrLater;
    bool Buffered;
  } cases[] = {
      {WS_EX_LAYERED, false, true},
      {WS_EX_LAYERED, true, false},
      {0, false, false},
  };
  for (const auto& c : cases) {
    const HWND window =
        CreateWindowExW(c.ExStyle, L"STATIC", L"", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    const HDC dc = GetDC(window);
    {
      TPaintCanvasTestOSFlag flag(c.VistaOrLater);
      EXPECT_EQ(dxGpNeedsBufferedPaint(dc), c.Buffered) << c.ExStyle << " " << c.VistaOrLater;
    }
    ReleaseDC(window, dc);
    DestroyWindow(window);
  }
}

// --------------------------------------------------------------------------
// Painting

TEST_F(dxGPPaintCanvas, PaintsStraightOnAnAlphaCapableDevice)
{
  TPaintCanvasTestDC dc(40, 40, 32);
  TdxGPPaintCanvas* canvas = dxGpPaintCanvas();
  canvas->BeginPaint(dc.DC(), TRect{10, 10, 30, 30});
  EXPECT_FALSE(canvas->GetIsLowColorsMode());
  ASSERT_NE(canvas->Handle(), nullptr);
  canvas->FillRectangle(TRect{12, 12, 16, 16}, PaintRed);
  canvas->FillRectangle(TRect{20, 20, 24, 24}, HalfBlue);
  canvas->EndPaint();
  EXPECT_EQ(canvas->Handle(), nullptr);
  EXPECT_EQ(dc.Pixel(12, 12), RedRGB);
  EXPECT_EQ(dc.Pixel(16, 16), PaintWhite);
  EXPECT_TRUE(NearColor(dc.Pixel(21, 21), PaleBlue, 2)) << std::hex << dc.Pixel(21, 21);
}

TEST_F(dxGPPaintCanvas, LowColourDevicesPaintThroughACopyThatKeepsTheUndrawnPixels)
{
  TPaintCanvasTestDC dc(40, 40, 16);
  // PaintGreen on the left, white on the right, so the copy-in and copy-back can
  // be told from a plain fill.
  dc.Fill(TRect{0, 0, 20, 40}, PaintGreen);
  TOwnedPtr<TPaintCanvasTestLowColourCanvas> canvas(rtl::New<TPaintCanvasTestLowColourCanvas>());
  canvas->SetLowColourDC(dc.DC());
  canvas->BeginPaint(dc.DC(), TRect{10, 10, 30, 30});
  EXPECT_TRUE(canvas->GetIsLowColorsMode());
  // In the DC's coordinates.
  canvas->FillRectangle(TRect{12, 12, 16, 16}, PaintRed);
  canvas->FillRectangle(TRect{22, 22, 26, 26}, HalfBlue);
  canvas->EndPaint();

  const struct {
    int X, Y;
    COLORREF Expected;
  } cases[] = {
      {12, 12, RedRGB},   {15, 15, RedRGB}, {11, 11, PaintGreen}, {16, 16, PaintGreen}, {18, 25, PaintGreen},
      {22, 22, PaleBlue}, {21, 21, PaintWhite},  {27, 27, PaintWhite}, {30, 30, PaintWhite}, {5, 5, PaintGreen},
  };
  for (const auto& c : cases)
    EXPECT_TRUE(NearColor(dc.Pixel(c.X, c.Y), c.Expected))
        << c.X << "," << c.Y << ": " << std::hex << dc.Pixel(c.X, c.Y);
}

TEST_F(dxGPPaintCanvas, PrivateCanvasesLiveForOnePaint)
{
  TPaintCanvasTestDC dc(20, 20, 32);
  TdxGPCustomPaintCanvas* canvas = dxGpBeginPaint(dc.DC(), TRect{0, 0, 20, 20});
  ASSERT_NE(canvas, nullptr);
  canvas->FillRectangle(TRect{2, 2, 6, 6}, PaintBlue);
  dxGpEndPaint(canvas);
  EXPECT_EQ(canvas, nullptr);
  EXPECT_EQ(dc.Pixel(3, 3), RGB(0, 0, 255));
}

TEST_F(dxGPPaintCanvas, FillRectFillsTheWholeRectangleAtTheAlpha)
{
  const struct {
    BYTE Alpha;
    COLORREF Inside;
  } cases[] = {{255, RedRGB}, {128, RGB(255, 127, 127)}};
  for (const auto& c : cases) {
    TPaintCanvasTestDC dc(20, 20, 32);
    dxGpFillRect(dc.DC(), TRect{5, 5, 10, 10}, vcl::clRed, c.Alpha);
    EXPECT_TRUE(NearColor(dc.Pixel(5, 5), c.Inside, 2)) << int(c.Alpha);
    EXPECT_TRUE(NearColor(dc.Pixel(9, 9), c.Inside, 2)) << int(c.Alpha);
    EXPECT_EQ(dc.Pixel(10, 10), PaintWhite);
    EXPECT_EQ(dc.Pixel(4, 4), PaintWhite);
  }
  EXPECT_EQ(dxGpPaintCanvas()->Handle(), nullptr);
}

// --------------------------------------------------------------------------
// Nesting on one thread

TEST_F(dxGPPaintCanvas, ANestedPaintLeavesTheOuterPaintInPlace)
{
  TPaintCanvasTestDC outerDC(40, 40, 32);
  TPaintCanvasTestDC innerDC(40, 40, 16);
  TOwnedPtr<TPaintCanvasTestLowColourCanvas> canvas(rtl::New<TPaintCanvasTestLowColourCanvas>());
  canvas->SetLowColourDC(innerDC.DC());
  canvas->BeginPaint(outerDC.DC(), TRect{0, 0, 40, 40});
  EXPECT_FALSE(canvas->GetIsLowColorsMode());
  Gdiplus::GpGraphics* outer = canvas->Handle();
  canvas->FillRectangle(TRect{0, 0, 4, 4}, PaintRed);

  canvas->BeginPaint(innerDC.DC(), TRect{10, 10, 20, 20});
  EXPECT_NE(canvas->Handle(), outer);
  EXPECT_TRUE(canvas->GetIsLowColorsMode());
  canvas->FillRectangle(TRect{12, 12, 14, 14}, PaintBlue);
  canvas->EndPaint();

  EXPECT_EQ(canvas->Handle(), outer);
  canvas->FillRectangle(TRect{30, 30, 34, 34}, PaintBlue);
  canvas->EndPaint();
  EXPECT_EQ(canvas->Handle(), nullptr);

  EXPECT_EQ(outerDC.Pixel(1, 1), RedRGB);
  EXPECT_EQ(outerDC.Pixel(31, 31), RGB(0, 0, 255));
  EXPECT_EQ(outerDC.Pixel(12, 12), PaintWhite);
  EXPECT_TRUE(NearColor(innerDC.Pixel(12, 12), RGB(0, 0, 255)));
  EXPECT_TRUE(NearColor(innerDC.Pixel(31, 31), PaintWhite));
}

TEST_F(dxGPPaintCanvas, DeepNestingRestoresEveryLevel)
{
  // More levels than the saved states first grow by.
  constexpr int Depth = 7;
  TPaintCanvasTestDC dc(10 * Depth, 10, 32);
  TdxGPPaintCanvas* canvas = dxGpPaintCanvas();
  std::vector<Gdiplus::GpGraphics*> handles;
  for (int level = 0; level < Depth; ++level) {
    canvas->BeginPaint(dc.DC(), TRect{level * 10, 0, level * 10 + 10, 10});
    handles.push_back(canvas->Handle());
  }
  for (int level = Depth - 1; level >= 0; --level) {
    ASSERT_EQ(canvas->Handle(), handles[level]) << level;
    // Each level draws after its inner levels ended, in its own cell.
    canvas->FillRectangle(TRect{level * 10 + 2, 2, level * 10 + 8, 8}, PaintRed);
    canvas->EndPaint();
  }
  EXPECT_EQ(canvas->Handle(), nullptr);
  for (int level = 0; level < Depth; ++level)
    EXPECT_EQ(dc.Pixel(level * 10 + 5, 5), RedRGB) << level;
}

TEST_F(dxGPPaintCanvas, ABorrowedGraphicsIsGivenBackUndeleted)
{
  TPaintCanvasTestDC dc(20, 20, 32);
  Gdiplus::GpGraphics* borrowed = nullptr;
  ASSERT_EQ(dxGpFunctions.GdipCreateFromHDC(dc.DC(), &borrowed), Ok);
  TdxGPPaintCanvas* canvas = dxGpPaintCanvas();
  canvas->BeginPaint(dc.DC(), TRect{0, 0, 20, 20});
  Gdiplus::GpGraphics* outer = canvas->Handle();
  canvas->BeginPaint(borrowed);
  EXPECT_EQ(canvas->Handle(), borrowed);
  canvas->FillRectangle(TRect{2, 2, 6, 6}, PaintBlue);
  canvas->EndPaint();
  EXPECT_EQ(canvas->Handle(), outer);
  canvas->EndPaint();

  // Still alive: the library answers for it.
  EXPECT_EQ(dxGpFunctions.GdipGraphicsClear(borrowed, PaintRed), Ok);
  dxGpFunctions.GdipDeleteGraphics(borrowed);
  EXPECT_EQ(dc.Pixel(3, 3), RedRGB);

  // A canvas of the base class, which saves no state, does not delete it
  // when freed either.
  ASSERT_EQ(dxGpFunctions.GdipCreateFromHDC(dc.DC(), &borrowed), Ok);
  {
    TOwnedPtr<TdxGPCustomPaintCanvas> custom(rtl::New<TdxGPCustomPaintCanvas>());
    custom->BeginPaint(borrowed);
    custom->EndPaint();
  }
  EXPECT_EQ(dxGpFunctions.GdipGraphicsClear(borrowed, PaintBlue), Ok);
  dxGpFunctions.GdipDeleteGraphics(borrowed);
}

// --------------------------------------------------------------------------
// Painting from two threads

namespace {

// Who entered and left a paint, in order.
class TPaintCanvasTestLog {
 public:
  void Add(int AThread, bool AEnter)
  {
    std::lock_guard lock(FMutex);
    FEntries.emplace_back(AThread, AEnter);
  }
  std::vector<std::pair<int, bool>> Entries()
  {
    std::lock_guard lock(FMutex);
    return FEntries;
  }

 private:
  std::mutex FMutex;
  std::vector<std::pair<int, bool>> FEntries;
};

}  // namespace

TEST_F(dxGPPaintCanvas, AnotherThreadWaitsForThePaintToEnd)
{
  TPaintCanvasTestDC mainDC(20, 20, 32);
  TPaintCanvasTestDC workerDC(20, 20, 32);
  TPaintCanvasTestLog log;
  TdxGPPaintCanvas* canvas = dxGpPaintCanvas();
  const HANDLE trying = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  const HANDLE entered = CreateEventW(nullptr, TRUE, FALSE, nullptr);

  canvas->BeginPaint(mainDC.DC(), TRect{0, 0, 20, 20});
  log.Add(0, true);
  bool workerFailed = false;
  std::thread worker([&] {
    try {
      SetEvent(trying);
      canvas->BeginPaint(workerDC.DC(), TRect{0, 0, 20, 20});
      log.Add(1, true);
      SetEvent(entered);
      canvas->FillRectangle(TRect{0, 0, 10, 10}, PaintBlue);
      log.Add(1, false);
      canvas->EndPaint();
    } catch (...) {
      workerFailed = true;
      SetEvent(entered);
    }
  });
  WaitForSingleObject(trying, INFINITE);
  // The worker must not get in while this paint lasts.
  EXPECT_EQ(WaitForSingleObject(entered, 100), DWORD(WAIT_TIMEOUT));
  canvas->FillRectangle(TRect{0, 0, 10, 10}, PaintRed);
  log.Add(0, false);
  canvas->EndPaint();
  worker.join();
  CloseHandle(trying);
  CloseHandle(entered);

  ASSERT_FALSE(workerFailed);
  const std::vector<std::pair<int, bool>> expected{{0, true}, {0, false}, {1, true}, {1, false}};
  EXPECT_EQ(log.Entries(), expected);
  EXPECT_EQ(mainDC.Pixel(5, 5), RedRGB);
  EXPECT_EQ(workerDC.Pixel(5, 5), RGB(0, 0, 255));
  EXPECT_EQ(canvas->Handle(), nullptr);
}

TEST_F(dxGPPaintCanvas, PaintsOfTwoThreadsNeverInterleave)
{
  constexpr int Paints = 40;
  TPaintCanvasTestLog log;
  TdxGPPaintCanvas* canvas = dxGpPaintCanvas();
  bool failed[2] = {false, false};
  const auto paint = [&](int AThread) {
    try {
      TPaintCanvasTestDC dc(20, 20, AThread == 0 ? 32 : 16);
      for (int i = 0; i < Paints; ++i) {
        canvas->BeginPaint(dc.DC(), TRect{0, 0, 20, 20});
        log.Add(AThread, true);
        // A nested paint on the same thread enters again without waiting.
        canvas->BeginPaint(dc.DC(), TRect{0, 0, 10, 10});
        canvas->FillRectangle(TRect{0, 0, 5, 5}, PaintBlue);
        canvas->EndPaint();
        canvas->FillRectangle(TRect{10, 10, 15, 15}, PaintRed);
        log.Add(AThread, false);
        canvas->EndPaint();
      }
    } catch (...) {
      failed[AThread] = true;
    }
  };
  std::thread first(paint, 0);
  std::thread second(paint, 1);
  first.join();
  second.join();

  EXPECT_FALSE(failed[0]);
  EXPECT_FALSE(failed[1]);
  const std::vector<std::pair<int, bool>> entries = log.Entries();
  ASSERT_EQ(entries.size(), 4u * Paints);
  for (std::size_t i = 0; i < entries.size(); i += 2) {
    EXPECT_TRUE(entries[i].second) << i;
    EXPECT_FALSE(entries[i + 1].second) << i;
    EXPECT_EQ(entries[i].first, entries[i + 1].first) << i;
  }
  EXPECT_EQ(canvas->Handle(), nullptr);
}

// --------------------------------------------------------------------------
// Mirrored drawing

TEST_F(dxGPPaintCanvas, MirroredDrawingLandsAtTheOtherSideAndPutsTheCanvasBack)
{
  const struct {
    bool Mirror;
    int RedX;
    int WhiteX;
  } cases[] = {{false, 5, 35}, {true, 35, 5}};
  for (const auto& c : cases) {
    TPaintCanvasTestDC dc(40, 10, 32);
    TdxGPPaintCanvas* canvas = dxGpPaintCanvas();
    canvas->BeginPaint(dc.DC(), TRect{0, 0, 40, 10});
    canvas->SetPixelOffsetMode(Gdiplus::PixelOffsetModeHighSpeed);
    dxGpPaintMirrored(canvas, TRect{0, 0, 40, 10}, c.Mirror, [&] { canvas->FillRectangle(TRect{0, 0, 10, 10}, PaintRed); });
    EXPECT_EQ(canvas->GetPixelOffsetMode(), Gdiplus::PixelOffsetModeHighSpeed) << c.Mirror;
    TOwnedPtr<TdxGPMatrix> transform(canvas->GetWorldTransform());
    EXPECT_TRUE(transform->IsIdentity()) << c.Mirror;
    canvas->EndPaint();
    EXPECT_EQ(dc.Pixel(c.RedX, 5), RedRGB) << c.Mirror;
    EXPECT_EQ(dc.Pixel(c.WhiteX, 5), PaintWhite) << c.Mirror;
  }
}

TEST_F(dxGPPaintCanvas, MirroredDrawingThatRaisesStillPutsTheCanvasBack)
{
  TPaintCanvasTestDC dc(40, 10, 32);
  TdxGPPaintCanvas* canvas = dxGpPaintCanvas();
  canvas->BeginPaint(dc.DC(), TRect{0, 0, 40, 10});
  canvas->SetPixelOffsetMode(Gdiplus::PixelOffsetModeNone);
  EXPECT_THROW(dxGpPaintMirrored(canvas, TRect{0, 0, 40, 10}, true, [] { throw std::runtime_error("draw"); }),
               std::runtime_error);
  EXPECT_EQ(canvas->GetPixelOffsetMode(), Gdiplus::PixelOffsetModeNone);
  TOwnedPtr<TdxGPMatrix> transform(canvas->GetWorldTransform());
  EXPECT_TRUE(transform->IsIdentity());
  // Nothing is left on the transform stack.
  EXPECT_ANY_THROW(canvas->RestoreWorldTransform());
  canvas->EndPaint();
}

// --------------------------------------------------------------------------
// The stream adapter

TEST(dxGPStreamAdapter, StatWithoutARecordSucceedsAndWithOneClearsItFirst)
{
  TOwnedPtr<rtl::TMemoryStream> memory(rtl::New<rtl::TMemoryStream>());
  memory->SetSize(123);
  rtl::IPtr<IStream> stream(rtl::New<TdxGPStreamAdapter>(memory.get(), rtl::soReference));

  EXPECT_EQ(stream->Stat(nullptr, STATFLAG_NONAME), S_OK);

  STATSTG stat;
  std::memset(&stat, 0xCD, sizeof(stat));
  ASSERT_EQ(stream->Stat(&stat, STATFLAG_NONAME), S_OK);
  EXPECT_EQ(stat.type, DWORD(STGTY_STREAM));
  EXPECT_EQ(stat.cbSize.QuadPart, 123u);
  EXPECT_EQ(stat.pwcsName, nullptr);
  EXPECT_EQ(stat.mtime.dwLowDateTime, 0u);
  EXPECT_EQ(stat.clsid, GUID{});
  EXPECT_EQ(stat.grfStateBits, 0u);
  EXPECT_EQ(stat.reserved, 0u);
}
