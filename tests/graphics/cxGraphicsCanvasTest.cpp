#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/cxGraphics.h"
#include "platform/vcl/Controls.h"
#include "tests/platform/vcl/GraphicsTestSupport.h"

using enum TcxAlignmentVert;
using enum TcxBorder;
using enum TcxRegionOperation;
using enum TcxRotationAngle;
using enum rtl::TAlignment;
using enum vcl::TBiDiMode;
using enum vcl::TBrushStyle;
using enum vcl::TPixelFormat;

using namespace vcl;
using vcltest::AsPixel;
using vcltest::TSurface;

namespace {

constexpr std::uint32_t CanvasWhite = 0xFFFFFF;

// A platform canvas on a test surface, wrapped by a TcxCanvas; both are
// freed at the end of the scope, the wrapper first.
struct TWrapped {
  explicit TWrapped(HDC ADC)
      : Canvas(rtl::NewWith<TCanvas>([&](TCanvas* C) { C->Create(); C->SetHandle(ADC); })),
        Wrapper(rtl::New<TcxCanvas>(Canvas.get()))
  {
  }
  TcxCanvas* operator->() const { return Wrapper.get(); }
  rtl::TOwnedPtr<TCanvas> Canvas;
  rtl::TOwnedPtr<TcxCanvas> Wrapper;
};

// The colour of every pixel of R on the surface, or ~0 when they differ.
std::uint32_t UniformColor(const TSurface& S, const TRect& R)
{
  const std::uint32_t first = S.Pixel(R.left, R.top);
  for (int y = R.top; y < R.bottom; ++y)
    for (int x = R.left; x < R.right; ++x)
      if (S.Pixel(x, y) != first)
        return ~0u;
  return first;
}

int CountPixels(const TSurface& S, std::uint32_t AColor)
{
  int count = 0;
  for (int y = 0; y < S.Height(); ++y)
    for (int x = 0; x < S.Width(); ++x)
      count += S.Pixel(x, y) == AColor;
  return count;
}

// What a canvas must leave in the DC as it found it.
struct TDCSnapshot {
  explicit TDCSnapshot(HDC ADC)
      : Font(GetCurrentObject(ADC, OBJ_FONT)),
        Brush(GetCurrentObject(ADC, OBJ_BRUSH)),
        Pen(GetCurrentObject(ADC, OBJ_PEN)),
        BkMode(GetBkMode(ADC)),
        HasClip(false)
  {
    const HRGN clip = CreateRectRgn(0, 0, 0, 0);
    HasClip = GetClipRgn(ADC, clip) == 1;
    GetRgnBox(clip, &ClipBox);
    DeleteObject(clip);
  }
  bool operator==(const TDCSnapshot& O) const
  {
    return Font == O.Font && Brush == O.Brush && Pen == O.Pen && BkMode == O.BkMode && HasClip == O.HasClip &&
           (!HasClip || EqualRect(&ClipBox, &O.ClipBox));
  }
  HGDIOBJ Font;
  HGDIOBJ Brush;
  HGDIOBJ Pen;
  int BkMode;
  bool HasClip;
  TRect ClipBox{};
};

// ---------------------------------------------------------------------------
// Colour markers, fills and frames

TEST(cxCanvas, FillRectHonoursTheColourMarkers)
{
  TSurface surface(20, 20);
  TWrapped canvas(surface.DC());
  canvas->GetBrush()->SetColor(clRed);

  canvas->FillRect(TRect{0, 0, 10, 10}, clNone);
  EXPECT_EQ(CountPixels(surface, CanvasWhite), 400) << "clNone draws nothing";
  EXPECT_EQ(canvas->GetBrush()->GetColor(), clRed) << "and leaves the brush alone";

  canvas->FillRect(TRect{0, 0, 10, 10}, clDefault);
  EXPECT_EQ(UniformColor(surface, TRect{0, 0, 10, 10}), AsPixel(clRed)) << "clDefault fills with the brush";

  canvas->FillRect(TRect{10, 10, 20, 20}, clBlue);
  EXPECT_EQ(UniformColor(surface, TRect{10, 10, 20, 20}), AsPixel(clBlue));
  EXPECT_EQ(canvas->GetBrush()->GetColor(), clBlue);
  EXPECT_EQ(surface.Pixel(15, 5), CanvasWhite);
}

TEST(cxCanvas, FrameRectDrawsTheAskedSidesClamped)
{
  struct TCase {
    const char* Name;
    TRect R;
    int Width;
    TcxBorders Borders;
    TRect Inside;  // left white, or empty
    std::vector<TPoint> Framed;
    std::vector<TPoint> Unframed;
  };
  const TCase cases[] = {
      {"all sides", {2, 2, 18, 18}, 2, cxBordersAll, {4, 4, 16, 16}, {{2, 2}, {17, 17}, {3, 10}, {10, 16}}, {{1, 1}, {18, 18}}},
      {"left and bottom", {2, 2, 18, 18}, 1, {bLeft, bBottom}, {3, 2, 18, 17}, {{2, 10}, {10, 17}}, {{17, 10}, {10, 2}}},
      // A line wider than half the rectangle is clamped to the rectangle.
      {"clamped", {5, 5, 9, 9}, 10, cxBordersAll, {}, {{5, 5}, {8, 8}}, {{4, 4}, {9, 9}, {10, 5}}},
      {"no sides", {2, 2, 18, 18}, 1, {}, {2, 2, 18, 18}, {}, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TSurface surface(24, 24);
    TWrapped canvas(surface.DC());
    canvas->FrameRect(c.R, clRed, c.Width, c.Borders);
    for (const TPoint& p : c.Framed)
      EXPECT_EQ(surface.Pixel(p.x, p.y), AsPixel(clRed)) << p.x << "," << p.y;
    for (const TPoint& p : c.Unframed)
      EXPECT_EQ(surface.Pixel(p.x, p.y), CanvasWhite) << p.x << "," << p.y;
    if (!IsRectEmpty(&c.Inside)) {
      EXPECT_EQ(UniformColor(surface, c.Inside), CanvasWhite);
    }
  }

  TSurface surface(10, 10);
  TWrapped canvas(surface.DC());
  canvas->FrameRect(TRect{0, 0, 10, 10}, clNone, 3);
  canvas->FrameRect(TRect{5, 5, 5, 9}, clRed, 3);
  EXPECT_EQ(CountPixels(surface, CanvasWhite), 100) << "clNone and an empty rectangle draw nothing";
}

TEST(cxCanvas, FrameRectCanExcludeTheFrame)
{
  TSurface surface(20, 20);
  TWrapped canvas(surface.DC());
  canvas->FrameRect(TRect{0, 0, 20, 20}, clRed, 2, cxBordersAll, true);
  canvas->FillRect(TRect{0, 0, 20, 20}, clBlue);
  EXPECT_EQ(surface.Pixel(1, 1), AsPixel(clRed)) << "the frame left the clip";
  EXPECT_EQ(surface.Pixel(10, 10), AsPixel(clBlue));
  SelectClipRgn(surface.DC(), nullptr);
}

TEST(cxCanvas, ComplexFrameAndEdgeColours)
{
  TSurface surface(20, 20);
  TWrapped canvas(surface.DC());
  canvas->DrawComplexFrame(TRect{0, 0, 20, 20}, clRed, clBlue, cxBordersAll, 2);
  EXPECT_EQ(surface.Pixel(1, 10), AsPixel(clRed));
  EXPECT_EQ(surface.Pixel(10, 1), AsPixel(clRed));
  EXPECT_EQ(surface.Pixel(18, 10), AsPixel(clBlue));
  EXPECT_EQ(surface.Pixel(10, 18), AsPixel(clBlue));
  EXPECT_EQ(surface.Pixel(10, 10), CanvasWhite);
  // Right and bottom come last and so own the top-right and bottom-left
  // corners.
  EXPECT_EQ(surface.Pixel(19, 0), AsPixel(clBlue));
  EXPECT_EQ(surface.Pixel(0, 19), AsPixel(clBlue));

  struct TCase {
    bool Sunken, Outer;
    TColor LeftTop, RightBottom;
  };
  const TCase edges[] = {{true, true, clBtnShadow, clBtnHighlight},
                         {false, true, cl3DLight, cl3DDkShadow},
                         {true, false, cl3DDkShadow, cl3DLight},
                         {false, false, clBtnHighlight, clBtnShadow}};
  for (const TCase& e : edges) {
    canvas->DrawEdge(TRect{0, 0, 20, 20}, e.Sunken, e.Outer);
    EXPECT_EQ(surface.Pixel(0, 10), AsPixel(ColorToRGB(e.LeftTop))) << e.Sunken << e.Outer;
    EXPECT_EQ(surface.Pixel(19, 10), AsPixel(ColorToRGB(e.RightBottom))) << e.Sunken << e.Outer;
  }
}

TEST(cxCanvas, BitmapTilesAreAnchoredToTheCanvasGrid)
{
  // A 10 x 10 bitmap, each pixel telling its position: tiling it into
  // (5, 5, 25, 25) puts its lower-right quarter at (5, 5, 10, 10).
  const rtl::TOwnedPtr<TBitmap> bitmap(rtl::New<TBitmap>());
  bitmap->SetPixelFormat(pf32bit);
  bitmap->SetSize(10, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x)
      bitmap->GetCanvas()->SetPixel(x, y, RGB(x * 20, y * 20, 7));

  for (const TPoint origin : {TPoint{0, 0}, TPoint{-13, -13}}) {
    TSurface surface(30, 30);
    TWrapped canvas(surface.DC());
    // A moved window origin shows the grid left of and above 0 as well: the
    // cells there start at -10, not at 0.
    SetWindowOrgEx(surface.DC(), origin.x, origin.y, nullptr);
    const TRect R{5 + origin.x, 5 + origin.y, 25 + origin.x, 25 + origin.y};
    canvas->FillRect(R, bitmap.get());
    for (const TPoint p : {TPoint{5, 5}, TPoint{9, 9}, TPoint{10, 10}, TPoint{24, 13}}) {
      const int bx = ((p.x + origin.x) % 10 + 10) % 10;
      const int by = ((p.y + origin.y) % 10 + 10) % 10;
      EXPECT_EQ(surface.Pixel(p.x, p.y), AsPixel(RGB(bx * 20, by * 20, 7)))
          << p.x << "," << p.y << " origin " << origin.x;
    }
    EXPECT_EQ(surface.Pixel(4, 5), CanvasWhite);
    EXPECT_EQ(surface.Pixel(25, 25), CanvasWhite);
  }
}

TEST(cxCanvas, FillRectWithParamsAndExclusion)
{
  TSurface surface(20, 20);
  TWrapped canvas(surface.DC());
  TcxViewParams params;
  params.Color = clGreen;
  canvas->FillRect(TRect{0, 0, 10, 10}, params, true);
  EXPECT_EQ(UniformColor(surface, TRect{0, 0, 10, 10}), AsPixel(clGreen));
  canvas->FillRect(TRect{0, 0, 20, 20}, clRed);
  EXPECT_EQ(surface.Pixel(5, 5), AsPixel(clGreen)) << "the filled rectangle left the clip";
  EXPECT_EQ(surface.Pixel(15, 15), AsPixel(clRed));
  SelectClipRgn(surface.DC(), nullptr);

  // Rectangle: a frame of the border colour around the content colour.
  canvas->Rectangle(TRect{0, 0, 20, 20}, params, {bLeft, bTop}, clBlue, 3);
  EXPECT_EQ(surface.Pixel(1, 10), AsPixel(clBlue));
  EXPECT_EQ(surface.Pixel(10, 1), AsPixel(clBlue));
  EXPECT_EQ(surface.Pixel(3, 3), AsPixel(clGreen));
  EXPECT_EQ(surface.Pixel(19, 19), AsPixel(clGreen));
}

TEST(cxCanvas, InvertRectAndFrameInvertEachPixelOnce)
{
  TSurface surface(20, 20, 0x000000);
  TWrapped canvas(surface.DC());
  canvas->InvertFrame(TRect{0, 0, 20, 20}, 3);
  EXPECT_EQ(surface.Pixel(1, 1), CanvasWhite) << "a corner is inverted once, not twice";
  EXPECT_EQ(surface.Pixel(18, 18), CanvasWhite);
  EXPECT_EQ(surface.Pixel(10, 1), CanvasWhite);
  EXPECT_EQ(surface.Pixel(10, 10), 0u);
  canvas->InvertRect(TRect{0, 0, 20, 20});
  EXPECT_EQ(surface.Pixel(1, 1), 0u);
  EXPECT_EQ(surface.Pixel(10, 10), CanvasWhite);
  EXPECT_EQ(canvas->GetCopyMode(), static_cast<TCopyMode>(cmSrcCopy));
}

TEST(cxCanvas, RegionsFillAndFrame)
{
  TSurface surface(20, 20);
  TWrapped canvas(surface.DC());
  const rtl::TOwnedPtr<TcxRegion> region(rtl::New<TcxRegion>(2, 2, 18, 18));
  canvas->DrawRegion(region.get(), clRed, clBlue);
  EXPECT_EQ(surface.Pixel(2, 2), AsPixel(clBlue));
  EXPECT_EQ(surface.Pixel(10, 10), AsPixel(clRed));
  EXPECT_EQ(surface.Pixel(1, 1), CanvasWhite);
  canvas->FillRegion(region.get(), clNone);
  canvas->FrameRegion(region.get(), clNone);
  EXPECT_EQ(surface.Pixel(10, 10), AsPixel(clRed)) << "clNone draws nothing";
  EXPECT_EQ(surface.Pixel(2, 2), AsPixel(clBlue));
}

TEST(cxCanvas, PieBySweep)
{
  struct TCase {
    int Start, Sweep;
    bool Right, Top, Left, Bottom;
  };
  // Probes just inside the ellipse at 0, 90, 180 and 270 degrees.
  const TCase cases[] = {{0, 360, true, true, true, true},
                         {0, 0, false, false, false, false},
                         {45, 90, false, true, false, false},
                         {135, 90, false, false, true, false},
                         {-45, 180, true, true, false, false}};
  for (const TCase& c : cases) {
    TSurface surface(40, 40);
    TWrapped canvas(surface.DC());
    canvas->GetBrush()->SetColor(clRed);
    canvas->GetPen()->SetColor(clRed);
    canvas->Pie(TRect{0, 0, 40, 40}, c.Start, c.Sweep);
    SCOPED_TRACE(std::to_string(c.Start) + " + " + std::to_string(c.Sweep));
    EXPECT_EQ(surface.Pixel(34, 20) == AsPixel(clRed), c.Right);
    EXPECT_EQ(surface.Pixel(20, 5) == AsPixel(clRed), c.Top);
    EXPECT_EQ(surface.Pixel(5, 20) == AsPixel(clRed), c.Left);
    EXPECT_EQ(surface.Pixel(20, 34) == AsPixel(clRed), c.Bottom);
  }
}

TEST(cxCanvas, FocusRectInvertsADottedFrame)
{
  TSurface surface(20, 20, 0x000000);
  TWrapped canvas(surface.DC());
  canvas->DrawFocusRect(TRect{0, 0, 20, 20});
  const int inverted = CountPixels(surface, CanvasWhite);
  EXPECT_GT(inverted, 20);
  EXPECT_LT(inverted, 76) << "dotted, not solid";
  EXPECT_EQ(surface.Pixel(10, 10), 0u);
  canvas->DrawFocusRect(TRect{0, 0, 20, 20});
  EXPECT_EQ(CountPixels(surface, CanvasWhite), 0) << "drawn twice it is gone";

  // Only the asked sides: the others stay untouched, and the clip comes back.
  canvas->DrawFocusRectEx(TRect{0, 0, 20, 20}, {bLeft});
  for (int y = 0; y < 20; ++y)
    for (int x = 1; x < 20; ++x)
      ASSERT_EQ(surface.Pixel(x, y), 0u) << x << "," << y;
  EXPECT_GT(CountPixels(surface, CanvasWhite), 0);
  const HRGN clip = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(surface.DC(), clip), 0) << "no clip region left behind";
  DeleteObject(clip);
}

// ---------------------------------------------------------------------------
// Clip regions

TEST(cxCanvas, ClipRegionStackRestoresEachLevel)
{
  TSurface surface(30, 30);
  TWrapped canvas(surface.DC());
  canvas->SaveClipRegion();  // no clip
  canvas->IntersectClipRect(TRect{0, 0, 20, 20});
  canvas->SaveClipRegion();  // (0, 0, 20, 20)
  canvas->ExcludeClipRect(TRect{0, 0, 10, 10});
  EXPECT_FALSE(canvas->RectVisible(TRect{2, 2, 8, 8}));
  EXPECT_FALSE(canvas->RectVisible(TRect{22, 22, 28, 28}));

  canvas->RestoreClipRegion();
  EXPECT_TRUE(canvas->RectVisible(TRect{2, 2, 8, 8}));
  EXPECT_FALSE(canvas->RectVisible(TRect{22, 22, 28, 28}));

  canvas->RestoreClipRegion();
  EXPECT_TRUE(canvas->RectVisible(TRect{22, 22, 28, 28}));
  const HRGN clip = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(surface.DC(), clip), 0) << "a DC without clip gets no clip back";
  DeleteObject(clip);

  canvas->RestoreClipRegion();  // empty stack: nothing
  canvas->FillRect(TRect{0, 0, 30, 30}, clRed);
  EXPECT_EQ(UniformColor(surface, TRect{0, 0, 30, 30}), AsPixel(clRed));
}

TEST(cxCanvas, SetClipRegionOperations)
{
  // The clip starts as (0, 0, 20, 20); the region is (10, 0, 30, 20).
  // Probes at x = 5, 15 and 25.
  struct TCase {
    TcxRegionOperation Operation;
    bool At5, At15, At25;
  };
  const TCase cases[] = {{roSet, false, true, true},
                         {roAdd, true, true, true},
                         {roSubtract, true, false, false},
                         {roIntersect, false, true, false}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Operation);
    TSurface surface(40, 20);
    TWrapped canvas(surface.DC());
    canvas->IntersectClipRect(TRect{0, 0, 20, 20});
    TcxRegion* region = rtl::New<TcxRegion>(10, 0, 30, 20);
    const HRGN handle = region->GetHandle();
    canvas->SetClipRegion(region, c.Operation);
    EXPECT_EQ(GetObjectType(handle), 0u) << "the canvas freed the region";
    canvas->FillRect(TRect{0, 0, 40, 20}, clRed);
    EXPECT_EQ(surface.Pixel(5, 5) == AsPixel(clRed), c.At5);
    EXPECT_EQ(surface.Pixel(15, 5) == AsPixel(clRed), c.At15);
    EXPECT_EQ(surface.Pixel(25, 5) == AsPixel(clRed), c.At25);
  }
}

TEST(cxCanvas, ClipRegionsAreInLogicalCoordinates)
{
  TSurface surface(40, 40);
  TWrapped canvas(surface.DC());
  canvas->SetWindowOrg(TPoint{10, 10});
  EXPECT_EQ(canvas->GetDCOrigin().x, -10);
  // Logical (10, 10, 20, 20) is device (0, 0, 10, 10).
  canvas->SetClipRegion(rtl::New<TcxRegion>(10, 10, 20, 20), roSet);
  const rtl::TOwnedPtr<TcxRegion> logical(canvas->GetClipRegion(true));
  const rtl::TOwnedPtr<TcxRegion> device(canvas->GetClipRegion(false));
  EXPECT_TRUE(logical->PtInRegion(15, 15));
  EXPECT_TRUE(device->PtInRegion(5, 5));
  EXPECT_FALSE(device->PtInRegion(15, 15));
  canvas->FillRect(TRect{0, 0, 50, 50}, clRed);
  EXPECT_EQ(UniformColor(surface, TRect{0, 0, 10, 10}), AsPixel(clRed));
  EXPECT_EQ(surface.Pixel(10, 10), CanvasWhite);

  // A region kept by the caller comes back in its own coordinates.
  TcxRegion* kept = rtl::New<TcxRegion>(10, 10, 30, 30);
  canvas->SetClipRegion(kept, roSet, false);
  EXPECT_TRUE(kept->PtInRegion(10, 10));
  EXPECT_FALSE(kept->PtInRegion(5, 5));
  rtl::Free(kept);

  SelectClipRgn(surface.DC(), nullptr);
  const rtl::TOwnedPtr<TcxRegion> none(canvas->GetClipRegion(false));
  EXPECT_TRUE(none->PtInRegion(29999, 29999)) << "no clip answers the 30000-pixel square";
}

TEST(cxCanvas, RectFullyVisible)
{
  TSurface surface(40, 40);
  TWrapped canvas(surface.DC());
  canvas->IntersectClipRect(TRect{0, 0, 30, 30});
  EXPECT_TRUE(canvas->RectFullyVisible(TRect{5, 5, 20, 20}));
  EXPECT_FALSE(canvas->RectFullyVisible(TRect{5, 5, 35, 20}));
  canvas->ExcludeClipRect(TRect{10, 10, 12, 12});
  EXPECT_FALSE(canvas->RectFullyVisible(TRect{5, 5, 20, 20})) << "a hole inside";
  EXPECT_TRUE(canvas->RectVisible(TRect{5, 5, 20, 20}));
}

TEST(cxCanvas, ExcludeFrameRectKeepsTheInside)
{
  TSurface surface(20, 20);
  TWrapped canvas(surface.DC());
  canvas->ExcludeFrameRect(TRect{0, 0, 20, 20}, 2, {bLeft, bBottom});
  canvas->FillRect(TRect{0, 0, 20, 20}, clRed);
  EXPECT_EQ(surface.Pixel(1, 5), CanvasWhite);
  EXPECT_EQ(surface.Pixel(5, 19), CanvasWhite);
  EXPECT_EQ(surface.Pixel(19, 0), AsPixel(clRed));
  EXPECT_EQ(surface.Pixel(2, 17), AsPixel(clRed));
}

TEST(cxCanvas, PathToRegion)
{
  TSurface surface(20, 20);
  TWrapped canvas(surface.DC());
  canvas->BeginPath();
  canvas->Rectangle(2, 2, 12, 12);
  canvas->EndPath();
  const rtl::TOwnedPtr<TcxRegion> region(canvas->PathToRegion());
  EXPECT_TRUE(region->PtInRegion(5, 5));
  EXPECT_FALSE(region->PtInRegion(15, 15));
  // Without a path: an empty region, not a region without a handle.
  const rtl::TOwnedPtr<TcxRegion> none(canvas->PathToRegion());
  EXPECT_NE(none->GetHandle(), nullptr);
  EXPECT_TRUE(none->GetIsEmpty());
}

// ---------------------------------------------------------------------------
// Saved states

TEST(cxCanvas, DCStateComesBack)
{
  TSurface surface(20, 20);
  TWrapped canvas(surface.DC());
  SetTextColor(surface.DC(), RGB(1, 2, 3));
  canvas->SaveDC();
  SetWindowOrgEx(surface.DC(), 5, 5, nullptr);
  SetTextColor(surface.DC(), RGB(9, 9, 9));
  canvas->IntersectClipRect(TRect{0, 0, 1, 1});
  EXPECT_EQ(canvas->GetCanvas()->GetLockCount(), 1) << "the canvas is locked while saved";
  canvas->RestoreDC();
  EXPECT_EQ(canvas->GetWindowOrg().x, 0);
  EXPECT_EQ(canvas->GetCanvas()->GetLockCount(), 0);
  EXPECT_TRUE(canvas->RectVisible(TRect{10, 10, 12, 12}));
  canvas->RestoreDC();  // empty: nothing
  EXPECT_EQ(canvas->GetCanvas()->GetLockCount(), 0);

  // A wrapper freed with saved states leaves the platform canvas unlocked.
  const rtl::TOwnedPtr<TCanvas> platform(rtl::NewWith<TCanvas>([&](TCanvas* C) {
    C->Create();
    C->SetHandle(surface.DC());
  }));
  TcxCanvas* wrapper = rtl::New<TcxCanvas>(platform.get());
  wrapper->SaveState();
  wrapper->SaveDC();
  EXPECT_EQ(platform->GetLockCount(), 2);
  rtl::Free(wrapper);
  EXPECT_EQ(platform->GetLockCount(), 0);
}

TEST(cxCanvas, CanvasStateComesBack)
{
  TSurface surface(20, 20);
  TWrapped canvas(surface.DC());
  canvas->GetFont()->SetName(L"Tahoma");
  canvas->GetFont()->SetSize(9);
  canvas->GetBrush()->SetColor(clRed);
  canvas->GetPen()->SetWidth(1);
  canvas->SetTextFlags(0);
  canvas->SaveState();
  canvas->GetFont()->SetSize(20);
  canvas->GetFont()->SetColor(clBlue);
  canvas->GetBrush()->SetStyle(bsClear);
  canvas->GetPen()->SetWidth(4);
  canvas->SetTextFlags(ETO_RTLREADING);
  canvas->SetUseRightToLeftAlignment(true);
  canvas->TextOut(0, 0, L"x");
  canvas->RestoreState();
  EXPECT_EQ(canvas->GetFont()->GetSize(), 9);
  EXPECT_EQ(canvas->GetFont()->GetColor(), static_cast<TColor>(clWindowText));
  EXPECT_EQ(canvas->GetBrush()->GetStyle(), bsSolid);
  EXPECT_EQ(canvas->GetBrush()->GetColor(), clRed);
  EXPECT_EQ(canvas->GetPen()->GetWidth(), 1);
  EXPECT_EQ(canvas->GetTextFlags(), 0);
  EXPECT_FALSE(canvas->GetUseRightToLeftAlignment());
  // The restored objects draw: no stale font or brush is left selected.
  canvas->FillRect(TRect{0, 0, 20, 20});
  EXPECT_EQ(UniformColor(surface, TRect{0, 0, 20, 20}), AsPixel(clRed));
  canvas->TextOut(0, 0, L"x");
  EXPECT_EQ(GetCurrentObject(surface.DC(), OBJ_FONT), canvas->GetFont()->GetHandle());
  canvas->RestoreState();  // empty: nothing
}

TEST(cxCanvas, NestedStatesRestoreInOrder)
{
  TSurface surface(20, 20);
  TWrapped canvas(surface.DC());
  canvas->GetBrush()->SetColor(clRed);
  canvas->SaveState();
  canvas->GetBrush()->SetColor(clGreen);
  canvas->SaveState();
  canvas->GetBrush()->SetColor(clBlue);
  canvas->RestoreState();
  EXPECT_EQ(canvas->GetBrush()->GetColor(), clGreen);
  canvas->RestoreState();
  EXPECT_EQ(canvas->GetBrush()->GetColor(), clRed);
}

TEST(cxCanvas, RightToLeftAlignmentDefaultsToFalse)
{
  TSurface surface(4, 4);
  TWrapped canvas(surface.DC());
  EXPECT_FALSE(canvas->GetUseRightToLeftAlignment());
  canvas->SetUseRightToLeftAlignment(true);
  EXPECT_TRUE(canvas->GetUseRightToLeftAlignment());
  canvas->SetUseRightToLeftAlignment(false);
  EXPECT_FALSE(canvas->GetUseRightToLeftAlignment());
}

TEST(cxCanvas, RightToLeftAlignmentByDefaultFollowsTheControlOfAControlCanvas)
{
  const struct {
    TBiDiMode Mode;
    bool Expected;
  } cases[] = {{bdLeftToRight, false},
               {bdRightToLeft, true},
               {bdRightToLeftNoAlign, false},
               {bdRightToLeftReadingOnly, false}};
  for (const auto& item : cases) {
    const rtl::TOwnedPtr<TControl> control(rtl::New<TControl>(nullptr));
    control->SetBiDiMode(item.Mode);
    const rtl::TOwnedPtr<TControlCanvas> controlCanvas(rtl::New<TControlCanvas>());
    controlCanvas->SetControl(control.get());
    const rtl::TOwnedPtr<TcxCanvas> canvas(rtl::New<TcxCanvas>(controlCanvas.get()));
    EXPECT_EQ(canvas->GetUseRightToLeftAlignment(), item.Expected) << item.Mode;
    // A value set wins over the control's.
    canvas->SetUseRightToLeftAlignment(!item.Expected);
    EXPECT_EQ(canvas->GetUseRightToLeftAlignment(), !item.Expected) << item.Mode;
  }
}

TEST(cxCanvas, LeavesTheCanvasAndDCAsItFoundThem)
{
  TSurface surface(40, 40);
  const TDCSnapshot before(surface.DC());
  for (int pass = 0; pass < 20; ++pass) {
    std::vector<HGDIOBJ> made;
    {
      TWrapped canvas(surface.DC());
      canvas->SaveState();
      canvas->SaveClipRegion();
      canvas->IntersectClipRect(TRect{0, 0, 30, 30});
      canvas->FillRect(TRect{0, 0, 10, 10}, clRed);
      canvas->FrameRect(TRect{0, 0, 20, 20}, clBlue, 2, cxBordersAll, true);
      canvas->DrawFocusRect(TRect{0, 0, 30, 30});
      canvas->DrawTexT(L"Text", TRect{0, 0, 40, 20}, cxtfAlignRight | cxtfSingleLine, false);
      canvas->DrawTexT(L"Two\nlines", TRect{0, 0, 40, 40}, cxtfAlignVCenter | cxtfWordBreak, true);
      TRect r{0, 0, 40, 0};
      canvas->TextExtent(L"Measured", r, cxtfWordBreak);
      canvas->SetFontAngle(90);
      canvas->TextOut(0, 0, L"up");
      made.push_back(GetCurrentObject(surface.DC(), OBJ_FONT));
      made.push_back(GetCurrentObject(surface.DC(), OBJ_BRUSH));
      canvas->SetClipRegion(rtl::New<TcxRegion>(0, 0, 5, 5), roIntersect);
      canvas->RestoreClipRegion();
      canvas->RestoreState();
      canvas->FillRect(TRect{0, 0, 1, 1}, clGreen);
      made.push_back(GetCurrentObject(surface.DC(), OBJ_BRUSH));
      // A canvas freed with saved entries still frees their objects.
      canvas->SaveState();
      canvas->SaveClipRegion();
      canvas->RestoreDC();
    }
    ASSERT_TRUE(TDCSnapshot(surface.DC()) == before) << "pass " << pass;
    for (HGDIOBJ object : made)
      ASSERT_EQ(GetObjectType(object), 0u) << "pass " << pass;
  }
}

// ---------------------------------------------------------------------------
// Text

TEST(cxCanvas, TextFlagConversion)
{
  struct TCase {
    int Flags;
    UINT Expected;
  };
  const TCase cases[] = {
      {0, DT_NOPREFIX},
      {cxtfAlignLeft | cxtfAlignTop, DT_NOPREFIX},
      {cxtfAlignRight | cxtfAlignBottom, DT_RIGHT | DT_BOTTOM | DT_NOPREFIX},
      {cxtfAlignHCenter | cxtfAlignVCenter | cxtfSingleLine, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX},
      {cxtfShowPrefix, 0},
      {cxtfWordBreak, DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX},
      {cxtfWordBreak | cxtfNoCharBreak, DT_WORDBREAK | DT_NOPREFIX},
      {cxtfWordBreak | cxtfNoCharBreak | cxtfNoFullWidthCharBreak,
       DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK | DT_NOPREFIX},
      {cxtfWordBreak | cxtfNoFullWidthCharBreak, DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX},
      {cxtfNoFullWidthCharBreak, DT_NOPREFIX},
      {cxtfNoClip | cxtfExpandTabs | cxtfEndEllipsis | cxtfCalcRect | cxtfPathEllipsis | cxtfRtlReading,
       DT_NOCLIP | DT_EXPANDTABS | DT_END_ELLIPSIS | DT_CALCRECT | DT_PATH_ELLIPSIS | DT_RTLREADING | DT_NOPREFIX},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(cxTextFlagsToDrawTextFlags(c.Flags), c.Expected) << std::hex << c.Flags;
}

// The columns of the surface that hold pixels other than the background.
std::pair<int, int> InkColumns(const TSurface& S, std::uint32_t ABackground = CanvasWhite)
{
  int first = S.Width();
  int last = -1;
  for (int y = 0; y < S.Height(); ++y)
    for (int x = 0; x < S.Width(); ++x)
      if (S.Pixel(x, y) != ABackground) {
        first = std::min(first, x);
        last = std::max(last, x);
      }
  return {first, last};
}

std::pair<int, int> InkRows(const TSurface& S, std::uint32_t ABackground = CanvasWhite)
{
  int first = S.Height();
  int last = -1;
  for (int y = 0; y < S.Height(); ++y)
    for (int x = 0; x < S.Width(); ++x)
      if (S.Pixel(x, y) != ABackground) {
        first = std::min(first, y);
        last = std::max(last, y);
      }
  return {first, last};
}

TEST(cxCanvas, TextExtentAlignsTheMeasuredRectangle)
{
  TSurface surface(4, 4);
  TWrapped canvas(surface.DC());
  const TSize size = canvas->TextExtent(L"Hello");
  ASSERT_GT(size.cx, 0);
  struct TCase {
    int Flags;
    int DX, DY;  // expected offset of the measured rectangle
  };
  const TCase cases[] = {{cxtfSingleLine, 0, 0},
                         {cxtfSingleLine | cxtfAlignRight, 200 - size.cx, 0},
                         {cxtfSingleLine | cxtfAlignHCenter, (200 - size.cx) / 2, 0},
                         {cxtfSingleLine | cxtfAlignBottom, 0, 100 - size.cy},
                         {cxtfSingleLine | cxtfAlignVCenter, 0, (100 - size.cy) / 2}};
  for (const TCase& c : cases) {
    TRect r{10, 20, 210, 120};
    canvas->TextExtent(L"Hello", r, c.Flags);
    EXPECT_EQ(r.left, 10 + c.DX) << c.Flags;
    EXPECT_EQ(r.top, 20 + c.DY) << c.Flags;
    EXPECT_EQ(r.right - r.left, size.cx) << c.Flags;
    EXPECT_EQ(r.bottom - r.top, size.cy) << c.Flags;
  }
  // A zero width still measures the text (word breaks then give each word
  // its own line).
  TRect narrow{0, 0, 0, 0};
  canvas->TextExtent(L"one two", narrow, cxtfWordBreak | cxtfNoCharBreak);
  EXPECT_GE(narrow.bottom - narrow.top, 2 * size.cy);
  TRect empty{5, 5, 50, 50};
  canvas->TextExtent(L"", empty, cxtfSingleLine);
  EXPECT_EQ(empty.right, empty.left);
}

TEST(cxCanvas, DrawTextPlacesTheText)
{
  struct TCase {
    const char* Name;
    int Flags;
    bool Enabled;
    TcxRotationAngle Angle;
  };
  const TCase cases[] = {
      {"left", cxtfSingleLine | cxtfAlignLeft, true, ra0},
      {"right", cxtfSingleLine | cxtfAlignRight, true, ra0},
      {"right disabled", cxtfSingleLine | cxtfAlignRight, false, ra0},
      {"centre", cxtfSingleLine | cxtfAlignHCenter | cxtfAlignVCenter, true, ra0},
      {"bottom multi-line", cxtfAlignBottom | cxtfWordBreak, true, ra0},
      {"ellipsis route", cxtfSingleLine | cxtfAlignRight | cxtfEndEllipsis, true, ra0},
      {"turned", cxtfSingleLine | cxtfAlignLeft, true, raPlus90},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TSurface surface(120, 60);
    TWrapped canvas(surface.DC());
    canvas->GetFont()->SetColor(clBlack);
    canvas->GetBrush()->SetColor(clWhite);
    const TRect bounds{10, 5, 110, 55};
    const TSize size = canvas->TextExtent(L"Wide");
    canvas->DrawTexT(L"Wide", bounds, c.Flags, c.Enabled, c.Angle);
    const auto [left, right] = InkColumns(surface);
    const auto [top, bottom] = InkRows(surface);
    ASSERT_LE(left, right) << "something was drawn";
    EXPECT_GE(left, bounds.left);
    EXPECT_LT(right, bounds.right);
    EXPECT_GE(top, bounds.top);
    EXPECT_LT(bottom, bounds.bottom);
    const int flags = c.Flags;
    if (c.Angle != ra0) {
      EXPECT_GT(bottom - top, right - left) << "turned text stands upright";
    } else if (flags & cxtfAlignRight) {
      // Disabled text ends one pixel early, leaving room for its highlight
      // copy one pixel to the right.
      EXPECT_GE(right, bounds.right - 4 - (c.Enabled ? 0 : 1) - 1);
    } else if (flags & cxtfAlignHCenter) {
      EXPECT_NEAR((left + right) / 2, (bounds.left + bounds.right) / 2, 3);
      EXPECT_NEAR((top + bottom) / 2, (bounds.top + bounds.bottom) / 2, 3);
    } else {
      EXPECT_LE(left, bounds.left + 2);
    }
    if (flags & cxtfAlignBottom) {
      EXPECT_GE(bottom, bounds.bottom - size.cy / 2);
    }
    if (!c.Enabled) {
      EXPECT_GT(CountPixels(surface, AsPixel(ColorToRGB(clBtnShadow))), 0);
      EXPECT_EQ(canvas->GetFont()->GetColor(), clBlack) << "the font colour comes back";
      EXPECT_EQ(canvas->GetBrush()->GetStyle(), bsSolid) << "and the brush style";
    }
  }
}

// The rightmost column holding AColor, or -1.
int RightmostColumn(const TSurface& S, std::uint32_t AColor)
{
  int last = -1;
  for (int y = 0; y < S.Height(); ++y)
    for (int x = 0; x < S.Width(); ++x)
      if (S.Pixel(x, y) == AColor)
        last = std::max(last, x);
  return last;
}

TEST(cxCanvas, DisabledRightAlignedTextEndsOnePixelEarly)
{
  // On black, so that both the highlight and the shadow copy show.
  const TRect bounds{0, 0, 150, 30};
  TSurface enabled(150, 30, 0);
  {
    TWrapped canvas(enabled.DC());
    canvas->GetBrush()->SetStyle(bsClear);
    canvas->GetFont()->SetColor(clRed);
    canvas->DrawTexT(L"Wide", bounds, cxtfSingleLine | cxtfAlignRight, true);
  }
  TSurface disabled(150, 30, 0);
  {
    TWrapped canvas(disabled.DC());
    canvas->DrawTexT(L"Wide", bounds, cxtfSingleLine | cxtfAlignRight, false);
  }
  const int enabledEdge = RightmostColumn(enabled, AsPixel(clRed));
  ASSERT_GT(enabledEdge, 100);
  EXPECT_EQ(RightmostColumn(disabled, AsPixel(ColorToRGB(clBtnShadow))), enabledEdge - 1);
  EXPECT_EQ(RightmostColumn(disabled, AsPixel(ColorToRGB(clBtnHighlight))), enabledEdge);
}

// The options of every text record of an enhanced metafile.
int CALLBACK CollectTextOptions(HDC, HANDLETABLE*, const ENHMETARECORD* ARecord, int, LPARAM AData)
{
  if (ARecord->iType == EMR_EXTTEXTOUTW)
    reinterpret_cast<std::vector<DWORD>*>(AData)->push_back(
        reinterpret_cast<const EMREXTTEXTOUTW*>(ARecord)->emrtext.fOptions);
  return 1;
}

TEST(cxCanvas, RightToLeftReadingReachesTheTextOutput)
{
  struct TCase {
    const char* Name;
    int CanvasTextFlags;
    int Flags;
    bool Expected;
  };
  const TCase cases[] = {
      {"text-out route, canvas flag", ETO_RTLREADING, cxtfSingleLine, true},
      {"text-out route, no flag", 0, cxtfSingleLine, false},
      {"draw-text route, canvas flag", ETO_RTLREADING, cxtfWordBreak, true},
      {"draw-text route, own flag", 0, cxtfWordBreak | cxtfRtlReading, true},
      {"draw-text route, no flag", 0, cxtfWordBreak, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const HDC recorder = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    {
      TWrapped canvas(recorder);
      canvas->SetTextFlags(c.CanvasTextFlags);
      canvas->DrawTexT(L"abc", TRect{0, 0, 100, 40}, c.Flags, true);
    }
    const HENHMETAFILE metafile = CloseEnhMetaFile(recorder);
    std::vector<DWORD> options;
    EnumEnhMetaFile(nullptr, metafile, &CollectTextOptions, &options, nullptr);
    DeleteEnhMetaFile(metafile);
    ASSERT_FALSE(options.empty());
    for (DWORD option : options)
      EXPECT_EQ((option & ETO_RTLREADING) != 0, c.Expected);
  }
}

TEST(cxCanvas, ViewParams)
{
  TSurface surface(4, 4);
  TWrapped canvas(surface.DC());
  const rtl::TOwnedPtr<TFont> font(rtl::New<TFont>());
  font->SetSize(15);
  TcxViewParams params;
  params.Color = clYellow;
  params.Font = font.get();
  params.TextColor = clNavy;
  canvas->SetParams(params);
  EXPECT_EQ(canvas->GetBrush()->GetColor(), clYellow);
  EXPECT_EQ(canvas->GetFont()->GetSize(), 15);
  EXPECT_EQ(canvas->GetFont()->GetColor(), clNavy);
  EXPECT_EQ(font->GetColor(), static_cast<TColor>(clWindowText)) << "the given font is copied, not changed";
  TcxViewParams read;
  canvas->GetParams(read);
  EXPECT_EQ(read.Color, clYellow);
  EXPECT_EQ(read.Font, canvas->GetFont());
  EXPECT_EQ(read.TextColor, clNavy);
  EXPECT_EQ(read.Bitmap, nullptr);
}

TEST(cxCanvas, DrawTextWithAlignmentValues)
{
  TSurface surface(120, 40);
  TWrapped canvas(surface.DC());
  canvas->GetFont()->SetColor(clBlack);
  canvas->DrawTexT(L"Right", TRect{0, 0, 120, 40}, taRightJustify, vaBottom, false, false);
  const auto [left, right] = InkColumns(surface);
  const auto [top, bottom] = InkRows(surface);
  EXPECT_GT(left, 60);
  EXPECT_GT(top, 15);
  EXPECT_LE(right, 119);
  EXPECT_LE(bottom, 39);
  canvas->DrawTexT(L"", TRect{0, 0, 120, 40}, taLeftJustify, vaTop, false, false);
}

TEST(cxCanvas, TextStringsBoundsBreakLines)
{
  TSurface surface(4, 4);
  TWrapped canvas(surface.DC());
  const int one = canvas->TextWidth(L"aaaa");
  struct TCase {
    const wchar_t* Text;
    int Flags;
    int Width;
    std::vector<std::wstring> Lines;
  };
  const TCase cases[] = {
      {L"aaaa bbbb", cxtfAlignLeft, one + one / 2, {L"aaaa ", L"bbbb"}},
      {L"aaaa bbbb", cxtfAlignRight, one + one / 2, {L"aaaa", L"bbbb"}},
      {L"aaaa\r\nbbbb", cxtfAlignLeft, 1000, {L"aaaa", L"bbbb"}},
      {L"aaaa\n\rbbbb", cxtfAlignLeft, 1000, {L"aaaa", L"bbbb"}},
      {L"aaaa\n\nbbbb", cxtfAlignLeft, 1000, {L"aaaa", L"", L"bbbb"}},
      {L"&aaaa", cxtfAlignLeft | cxtfShowPrefix, 1000, {L"aaaa"}},
  };
  for (const TCase& c : cases) {
    std::vector<TRect> bounds;
    const TRect R{10, 10, 10 + c.Width, 200};
    canvas->GetTextStringsBounds(c.Text, R, c.Flags, true, bounds);
    ASSERT_EQ(bounds.size(), c.Lines.size()) << c.Flags;
    int top = bounds[0].top;
    for (std::size_t i = 0; i < bounds.size(); ++i) {
      const TSize size = canvas->TextExtent(c.Lines[i]);
      EXPECT_EQ(bounds[i].right - bounds[i].left, size.cx) << i;
      EXPECT_EQ(bounds[i].top, top) << i;
      if (c.Flags & cxtfAlignRight) {
        EXPECT_EQ(bounds[i].right, R.right);
      } else {
        EXPECT_EQ(bounds[i].left, R.left);
      }
      top = bounds[i].bottom;
    }
    EXPECT_EQ(bounds[0].top, 10);
  }
}

TEST(cxCanvas, AlignMultiLineTextVertically)
{
  TSurface surface(4, 4);
  TWrapped canvas(surface.DC());
  const int h = canvas->TextHeight(L"Zq");
  TRect r{0, 0, 200, 100};
  canvas->AlignMultiLineTextRectVertically(r, L"one\ntwo", vaTop, true, false);
  EXPECT_EQ(r.top, 0);
  canvas->AlignMultiLineTextRectVertically(r, L"one\ntwo", vaBottom, true, false);
  EXPECT_EQ(r.top, 100 - 2 * h);
  r = TRect{0, 0, 200, 100};
  canvas->AlignMultiLineTextRectVertically(r, L"one\ntwo", vaCenter, true, false, false);
  EXPECT_EQ(r.top, (100 - 2 * h) / 2);
  // With an end ellipsis the height is whole lines of the rectangle.
  r = TRect{0, 0, 200, 3 * h + 2};
  canvas->AlignMultiLineTextRectVertically(r, L"one", vaBottom, true, false, true, false, true);
  EXPECT_EQ(r.top, 2);
}

TEST(cxCanvas, FontHeightAndAngle)
{
  TSurface surface(4, 4);
  TWrapped canvas(surface.DC());
  const rtl::TOwnedPtr<TFont> font(rtl::New<TFont>());
  font->SetHeight(-20);
  EXPECT_GE(canvas->FontHeight(font.get()), 20);
  canvas->SetFontAngle(90);
  EXPECT_EQ(canvas->GetFont()->GetLogFont().lfEscapement, 900);
  EXPECT_EQ(canvas->GetFont()->GetLogFont().lfOutPrecision, OUT_TT_ONLY_PRECIS);
}

// ---------------------------------------------------------------------------
// Bitmaps

rtl::TOwnedPtr<TBitmap> Numbered(int W, int H)
{
  rtl::TOwnedPtr<TBitmap> bitmap(rtl::New<TBitmap>());
  bitmap->SetPixelFormat(pf32bit);
  bitmap->SetSize(W, H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x)
      bitmap->GetCanvas()->SetPixel(x, y, RGB(x, y, 0));
  return bitmap;
}

TEST(cxCanvas, RotateAndFlipBitmaps)
{
  TSurface surface(4, 4);
  TWrapped canvas(surface.DC());
  // Where source pixel (x, y) of a 3 x 2 bitmap ends up.
  struct TCase {
    TcxRotationAngle Angle;
    bool Flip;
    int Width, Height;
    int (*X)(int x, int y);
    int (*Y)(int x, int y);
  };
  const TCase cases[] = {
      {ra0, true, 3, 2, [](int x, int) { return x; }, [](int, int y) { return 1 - y; }},
      {raPlus90, false, 2, 3, [](int, int y) { return y; }, [](int x, int) { return 2 - x; }},
      {raPlus90, true, 2, 3, [](int, int y) { return y; }, [](int x, int) { return x; }},
      {raMinus90, false, 2, 3, [](int, int y) { return 1 - y; }, [](int x, int) { return x; }},
      {raMinus90, true, 2, 3, [](int, int y) { return 1 - y; }, [](int x, int) { return 2 - x; }},
      {ra180, false, 3, 2, [](int x, int) { return 2 - x; }, [](int, int y) { return 1 - y; }},
      {ra180, true, 3, 2, [](int x, int) { return 2 - x; }, [](int, int y) { return y; }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.Angle) + (c.Flip ? " flipped" : ""));
    const auto bitmap = Numbered(3, 2);
    canvas->RotateBitmap(bitmap.get(), c.Angle, c.Flip);
    ASSERT_EQ(bitmap->GetWidth(), c.Width);
    ASSERT_EQ(bitmap->GetHeight(), c.Height);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x)
        EXPECT_EQ(bitmap->GetCanvas()->GetPixel(c.X(x, y), c.Y(x, y)), static_cast<TColor>(RGB(x, y, 0)))
            << x << "," << y;
  }
  const auto bitmap = Numbered(3, 2);
  canvas->FlipHorizontally(bitmap.get());
  EXPECT_EQ(bitmap->GetCanvas()->GetPixel(0, 1), static_cast<TColor>(RGB(2, 1, 0)));
  EXPECT_EQ(bitmap->GetCanvas()->GetPixel(2, 0), static_cast<TColor>(RGB(0, 0, 0)));
}

TEST(cxCanvas, ABitmapsOwnCanvasStillDrawsAfterItsPixelsWereTurnedUnderASavedState)
{
  // Turning the pixels takes the bitmap out of its canvas's DC, which goes
  // with its saved state; restoring must not bring the dead DC back.
  const struct {
    const char* Name;
    void (*Turn)(TcxCanvas* ACanvas, TBitmap* ABitmap);
  } cases[] = {
      {"flip", [](TcxCanvas* C, TBitmap* B) { C->FlipHorizontally(B); }},
      {"half turn", [](TcxCanvas* C, TBitmap* B) { C->RotateBitmap(B, ra180); }},
      {"quarter turn", [](TcxCanvas* C, TBitmap* B) { C->RotateBitmap(B, raPlus90); }},
  };
  for (const auto& item : cases) {
    const rtl::TOwnedPtr<TBitmap> bitmap(rtl::New<TBitmap>());
    bitmap->SetPixelFormat(pf32bit);
    bitmap->SetSize(8, 8);
    const rtl::TOwnedPtr<TcxCanvas> canvas(rtl::New<TcxCanvas>(bitmap->GetCanvas()));
    canvas->FillRect(TRect{0, 0, 8, 8}, clBlack);
    canvas->SaveState();
    item.Turn(canvas.get(), bitmap.get());
    canvas->RestoreState();
    canvas->FillRect(TRect{0, 0, 8, 8}, clRed);
    EXPECT_EQ(bitmap->GetCanvas()->GetPixel(3, 3), clRed) << item.Name;
  }
}

TEST(cxCanvas, TransparentDrawBlendsWithTheCanvas)
{
  TSurface surface(10, 10, 0x000000);
  TWrapped canvas(surface.DC());
  const rtl::TOwnedPtr<TBitmap> bitmap(rtl::New<TBitmap>());
  bitmap->SetPixelFormat(pf32bit);
  bitmap->SetSize(4, 4);
  bitmap->GetCanvas()->GetBrush()->SetColor(clWhite);
  bitmap->GetCanvas()->FillRect(TRect{0, 0, 4, 4});
  canvas->TransparentDraw(2, 2, bitmap.get(), 128);
  EXPECT_EQ(surface.Pixel(3, 3), 0x808080u);
  EXPECT_EQ(surface.Pixel(1, 1), 0u);
}

TEST(cxCanvas, GlyphsReplaceTheirTransparentColour)
{
  // A 4 x 4 glyph: a black square in a fuchsia (transparent) border.
  const rtl::TOwnedPtr<TBitmap> glyph(rtl::New<TBitmap>());
  glyph->SetPixelFormat(pf24bit);
  glyph->SetSize(4, 4);
  glyph->GetCanvas()->GetBrush()->SetColor(clFuchsia);
  glyph->GetCanvas()->FillRect(TRect{0, 0, 4, 4});
  glyph->GetCanvas()->GetBrush()->SetColor(clBlack);
  glyph->GetCanvas()->FillRect(TRect{1, 1, 3, 3});
  glyph->SetTransparentColor(clFuchsia);

  TSurface surface(10, 10);
  TWrapped canvas(surface.DC());
  canvas->DrawGlyph(0, 0, glyph.get(), true, clRed);
  EXPECT_EQ(surface.Pixel(0, 0), AsPixel(clRed));
  EXPECT_EQ(surface.Pixel(1, 1), 0u);
  canvas->DrawGlyph(5, 5, glyph.get());
  EXPECT_EQ(surface.Pixel(5, 5), CanvasWhite) << "clNone leaves the background";
  EXPECT_EQ(surface.Pixel(6, 6), 0u);

  TSurface disabled(10, 10);
  TWrapped other(disabled.DC());
  other->DrawGlyph(0, 0, glyph.get(), false);
  EXPECT_EQ(disabled.Pixel(0, 0), CanvasWhite);
  EXPECT_EQ(disabled.Pixel(1, 1), AsPixel(ColorToRGB(clBtnShadow)));
  EXPECT_EQ(disabled.Pixel(3, 3), AsPixel(ColorToRGB(clBtnHighlight)));
}

// ---------------------------------------------------------------------------
// Paint and screen canvases

TEST(cxPaintCanvas, NestedPassesBringEverythingBack)
{
  TSurface first(20, 20);
  TSurface second(20, 20);
  TcxPaintCanvas* canvas = cxPaintCanvas();
  ASSERT_NE(canvas, nullptr);
  EXPECT_EQ(canvas, cxPaintCanvas()) << "one shared instance";
  canvas->EndPaint();  // without a pass: nothing

  const TDCSnapshot before1(first.DC());
  const TDCSnapshot before2(second.DC());
  SetTextColor(first.DC(), RGB(0, 0, 255));
  canvas->BeginPaint(first.DC());
  EXPECT_EQ(canvas->GetFont()->GetColor(), static_cast<TColor>(clBlue)) << "the font takes over the DC's";
  canvas->FillRect(TRect{0, 0, 10, 10}, clRed);
  canvas->IntersectClipRect(TRect{0, 0, 5, 5});
  {
    const rtl::TOwnedPtr<TCanvas> platform(rtl::NewWith<TCanvas>([&](TCanvas* C) {
      C->Create();
      C->SetHandle(second.DC());
    }));
    canvas->BeginPaint(platform.get());
    EXPECT_EQ(canvas->GetCanvas(), platform.get());
    canvas->FillRect(TRect{0, 0, 20, 20}, clGreen);
    canvas->EndPaint();
  }
  canvas->FillRect(TRect{0, 0, 20, 20}, clBlue);
  canvas->EndPaint();
  EXPECT_EQ(canvas->GetCanvas(), nullptr);
  EXPECT_EQ(first.Pixel(2, 2), AsPixel(clBlue));
  EXPECT_EQ(first.Pixel(7, 7), AsPixel(clRed));
  EXPECT_EQ(second.Pixel(15, 15), AsPixel(clGreen));
  EXPECT_TRUE(TDCSnapshot(first.DC()) == before1) << "clip and objects of the DC came back";
  EXPECT_TRUE(TDCSnapshot(second.DC()) == before2);
}

TEST(cxScreenCanvas, MeasuresAndGivesTheDCBack)
{
  TcxScreenCanvas* canvas = cxScreenCanvas();
  ASSERT_NE(canvas, nullptr);
  EXPECT_EQ(canvas, cxScreenCanvas());
  EXPECT_GT(canvas->TextWidth(L"Measure"), 0);
  EXPECT_TRUE(canvas->HandleAllocated());
  canvas->Dormant();
  EXPECT_FALSE(canvas->HandleAllocated());
  EXPECT_GT(canvas->GetDpiY(), 0) << "the DC is taken again on the next use";
  canvas->Dormant();
}

TEST(cxGraphicsUnit, SharedCanvasesAreNilAfterShutDown)
{
  ASSERT_NE(cxScreenCanvas(), nullptr);
  unit_cxGraphics.finalization();
  EXPECT_EQ(cxScreenCanvas(), nullptr);
  EXPECT_EQ(cxPaintCanvas(), nullptr);
  unit_cxGraphics.initialization();
  EXPECT_NE(cxPaintCanvas(), nullptr);
}

}  // namespace

TEST(cxControlCanvas, CountsTheWindowOriginFromThePaintsStartAndRestoresTheBrushOrigin)
{
  TSurface surface(40, 40);
  SetWindowOrgEx(surface.DC(), -5, -7, nullptr);
  SetBrushOrgEx(surface.DC(), 1, 2, nullptr);
  rtl::TOwnedPtr<TCanvas> canvas(rtl::NewWith<TCanvas>([&](TCanvas* C) {
    C->Create();
    C->SetHandle(surface.DC());
  }));
  rtl::TOwnedPtr<TcxControlCanvas> control(rtl::New<TcxControlCanvas>(canvas.get()));

  control->BeginPaint();
  EXPECT_EQ(control->GetWindowOrg().x, 0);
  EXPECT_EQ(control->GetWindowOrg().y, 0);
  POINT brush{};
  GetBrushOrgEx(surface.DC(), &brush);
  EXPECT_EQ(brush.x, -5);
  EXPECT_EQ(brush.y, -7);

  // The control paints at (0, 0) of its own origin: the DC's moves with it.
  control->SetWindowOrg(TPoint{2, 3});
  POINT window{};
  GetWindowOrgEx(surface.DC(), &window);
  EXPECT_EQ(window.x, -3);
  EXPECT_EQ(window.y, -4);
  EXPECT_EQ(control->GetWindowOrg().x, 2);
  EXPECT_EQ(control->GetWindowOrg().y, 3);

  control->EndPaint();
  GetBrushOrgEx(surface.DC(), &brush);
  EXPECT_EQ(brush.x, 1);
  EXPECT_EQ(brush.y, 2);
  // With no paint under way the origin counts from the DC's own.
  EXPECT_EQ(control->GetWindowOrg().x, -3);
}
