#include "controls/cxDragImages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "core/cxGeometry.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "platform/vcl/GraphicsHandles.h"
#include "tests/controls/ControlsTestSupport.h"
#include "tests/support/TestSupport.h"

using enum TcxArrowPlace;

namespace {

TRect WindowRectOf(HWND AWnd)
{
  RECT r{};
  GetWindowRect(AWnd, &r);
  return r;
}

// The window's region in window coordinates; empty without one.
struct TDragImagesTestRegion {
  explicit TDragImagesTestRegion(HWND AWnd) : Handle(CreateRectRgn(0, 0, 0, 0))
  {
    HasRegion = GetWindowRgn(AWnd, Handle.Get()) != ERROR;
  }
  bool Contains(int X, int Y) const { return HasRegion && PtInRegion(Handle.Get(), X, Y); }
  vcl::TOwnedRegion Handle;
  bool HasRegion = false;
};

rtl::TOwnedPtr<TdxScaleFactor> ScaleFactorOf(int APercent)
{
  rtl::TOwnedPtr<TdxScaleFactor> factor(rtl::New<TdxScaleFactor>());
  factor->Assign(APercent, 100, false);
  return factor;
}

// ---------------------------------------------------------------------------
// The drag image window

TEST(cxDragImageTest, FollowsTheHotSpot)
{
  rtl::TOwnedPtr<TcxDragImage> image(rtl::New<TcxDragImage>());
  image->Init(TRect{100, 100, 160, 130}, TPoint{110, 105});
  EXPECT_EQ(image->GetImage()->GetWidth(), 60);
  EXPECT_EQ(image->GetImage()->GetHeight(), 30);
  image->Show(SW_SHOWNA);
  ASSERT_TRUE(image->GetVisible());

  struct {
    const char* Step;
    void (*Move)(TcxDragImage*);
    TRect Bounds;
  } const steps[] = {
      {"MoveTo", [](TcxDragImage* I) { I->MoveTo(TPoint{300, 200}); }, {290, 195, 350, 225}},
      {"Offset", [](TcxDragImage* I) { I->Offset(-40, 15); }, {250, 210, 310, 240}},
      {"MoveTo again", [](TcxDragImage* I) { I->MoveTo(TPoint{10, 5}); }, {0, 0, 60, 30}},
  };
  for (const auto& step : steps) {
    step.Move(image.get());
    EXPECT_EQ(WindowRectOf(image->GetHandle()), step.Bounds) << step.Step;
  }
}

TEST(cxDragImageTest, IsATopmostLayeredPopupTheMousePassesThrough)
{
  rtl::TOwnedPtr<TcxDragImage> image(rtl::New<TcxDragImage>());
  image->Init(TRect{0, 0, 40, 20}, TPoint{0, 0});
  EXPECT_FALSE(image->GetVisible()) << "no window before it shows";
  image->SetVisible(true);
  const HWND wnd = image->GetHandle();
  EXPECT_TRUE(IsWindowVisible(wnd));
  EXPECT_EQ(DWORD(GetWindowLongW(wnd, GWL_STYLE)) & (WS_POPUP | WS_CHILD | WS_CAPTION), DWORD(WS_POPUP));
  const LONG exStyle = GetWindowLongW(wnd, GWL_EXSTYLE);
  EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
  EXPECT_TRUE(exStyle & WS_EX_LAYERED);
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 180);
  EXPECT_EQ(flags, DWORD(LWA_ALPHA));
  EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(5, 5)), HTTRANSPARENT);
  EXPECT_EQ(SendMessageW(wnd, WM_ERASEBKGND, 0, 0), 1);

  image->SetAlphaBlend(false);
  EXPECT_FALSE(GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED) << "opaque without alpha or colour key";
  image->SetTransparentColorValue(vcl::clFuchsia);
  image->SetTransparentColor(true);
  ASSERT_TRUE(GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags));
  EXPECT_EQ(flags, DWORD(LWA_COLORKEY));

  image->SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(wnd));
}

// ---------------------------------------------------------------------------
// The sizing frame

struct SizeFrameCase {
  const char* Name;
  bool FillSelection;
  TPoint Point;
  bool Inside;
};

const SizeFrameCase kSizeFrameCases[] = {
    {"TheBorder", false, {1, 1}, true},
    {"TheFrameWidthFromTheEdge", false, {2, 35}, true},
    {"JustInsideTheFrame", false, {3, 35}, false},
    {"TheMiddle", false, {50, 35}, false},
    {"TheMiddleFilled", true, {50, 35}, true},
    {"OutsideTheRectangle", true, {100, 35}, false},
};

TEST(cxSizeFrameTest, LeavesAFrameOfItsWidth)
{
  for (const SizeFrameCase& c : kSizeFrameCases) {
    SCOPED_TRACE(c.Name);
    rtl::TOwnedPtr<TcxSizeFrame> frame(rtl::New<TcxSizeFrame>(3));
    EXPECT_FALSE(frame->GetAlphaBlend());
    frame->SetFillSelection(c.FillSelection);
    frame->HandleNeeded();
    frame->DrawSizeFrame(TRect{50, 50, 150, 120});
    EXPECT_EQ(WindowRectOf(frame->GetHandle()), (TRect{50, 50, 150, 120}));
    EXPECT_EQ(TDragImagesTestRegion(frame->GetHandle()).Contains(c.Point.x, c.Point.y), c.Inside);
  }
}

TEST(cxSizeFrameTest, FramesARegionAndKeepsItsShapeWhenTooSmall)
{
  rtl::TOwnedPtr<TcxSizeFrame> frame(rtl::New<TcxSizeFrame>(2));
  frame->HandleNeeded();
  // An L: the frame follows the notch.
  rtl::TOwnedPtr<TcxRegion> shape(rtl::New<TcxRegion>(0, 0, 40, 20));
  shape->Combine(TRect{0, 20, 20, 40}, TcxRegionOperation::roAdd);
  frame->DrawSizeFrame(TRect{10, 10, 50, 50}, shape.get());
  {
    const TDragImagesTestRegion region(frame->GetHandle());
    EXPECT_TRUE(region.Contains(30, 19)) << "the notch's edge";
    EXPECT_FALSE(region.Contains(30, 30)) << "outside the L";
    EXPECT_FALSE(region.Contains(10, 10)) << "inside the L";
  }
  frame->DrawSizeFrame(TRect{10, 10, 14, 14});
  EXPECT_EQ(WindowRectOf(frame->GetHandle()), (TRect{10, 10, 14, 14}));
  EXPECT_TRUE(TDragImagesTestRegion(frame->GetHandle()).Contains(30, 19)) << "the previous region stays";
}

// ---------------------------------------------------------------------------
// The drop arrow

TEST(cxDragAndDropArrowTest, PicksTheGlyphOfTheScale)
{
  struct {
    int Percent;
    const wchar_t* Name;
    TSize Size;
  } const cases[] = {
      {100, L"CX_DROPARROW", {11, 11}},     {125, L"CX_DROPARROW", {11, 11}},
      {150, L"CX_DROPARROW_150", {17, 16}}, {175, L"CX_DROPARROW_150", {17, 16}},
      {200, L"CX_DROPARROW_200", {23, 22}}, {300, L"CX_DROPARROW_200", {23, 22}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Percent);
    const rtl::TOwnedPtr<TdxScaleFactor> factor = ScaleFactorOf(c.Percent);
    EXPECT_STREQ(TcxDragAndDropArrow::GlyphResourceName(factor.get()), c.Name);
    const rtl::TOwnedPtr<vcl::TBitmap> up(TcxDragAndDropArrow::GetGlyph(apBottom, factor.get()));
    EXPECT_EQ((TSize{up->GetWidth(), up->GetHeight()}), c.Size);
    const rtl::TOwnedPtr<vcl::TBitmap> turned(TcxDragAndDropArrow::GetGlyph(apLeft, factor.get()));
    EXPECT_EQ((TSize{turned->GetWidth(), turned->GetHeight()}), (TSize{c.Size.cy, c.Size.cx}));
  }
}

struct ArrowBoundsCase {
  const char* Name;
  TcxArrowPlace Place;
  int Percent;
  TRect Client;
  bool RightToLeft;
  TRect Bounds;
};

// The area (20, 30, 80, 60); the arrow is 11 x 11 at 100 %, 17 x 16 at
// 150 % (16 x 17 turned to the sides).
const ArrowBoundsCase kArrowBoundsCases[] = {
    {"Top", apTop, 100, {}, false, {15, 19, 26, 30}},
    {"Bottom", apBottom, 100, {}, false, {15, 60, 26, 71}},
    {"Left", apLeft, 100, {}, false, {9, 25, 20, 36}},
    {"Right", apRight, 100, {}, false, {80, 25, 91, 36}},
    {"TopRightToLeft", apTop, 100, {}, true, {74, 19, 85, 30}},
    {"RightClampedToTheClient", apRight, 100, {0, 0, 50, 50}, false, {49, 25, 60, 36}},
    {"BottomClampedToTheClient", apBottom, 100, {0, 0, 50, 50}, false, {15, 49, 26, 60}},
    {"LeftAt150", apLeft, 150, {}, false, {4, 22, 20, 39}},
    {"TopAt150", apTop, 150, {}, false, {12, 14, 29, 30}},
};

TEST(cxDragAndDropArrowTest, StandsBesideTheArea)
{
  for (const ArrowBoundsCase& c : kArrowBoundsCases) {
    SCOPED_TRACE(c.Name);
    const rtl::TOwnedPtr<TdxScaleFactor> factor = ScaleFactorOf(c.Percent);
    EXPECT_EQ(TcxDragAndDropArrow::CalculateBounds(TRect{20, 30, 80, 60}, c.Client, c.Place, factor.get(),
                                                   c.RightToLeft),
              c.Bounds);
  }
}

TEST(cxDragAndDropArrowTest, AnOpaqueArrowTakesTheGlyphsShape)
{
  rtl::TOwnedPtr<TcxDragAndDropArrow> arrow(rtl::New<TcxDragAndDropArrow>(false));
  EXPECT_FALSE(arrow->GetTransparent());
  arrow->Init(TPoint{100, 200}, TRect{20, 30, 80, 60}, TRect{}, apBottom);
  arrow->Show(SW_SHOWNA);
  EXPECT_TRUE(arrow->GetVisible());
  EXPECT_EQ(WindowRectOf(arrow->GetHandle()), (TRect{115, 260, 126, 271}));
  const TDragImagesTestRegion region(arrow->GetHandle());
  EXPECT_TRUE(region.Contains(5, 0)) << "the tip";
  EXPECT_TRUE(region.Contains(5, 8)) << "the shaft";
  EXPECT_FALSE(region.Contains(0, 0)) << "beside the tip";
  EXPECT_FALSE(region.Contains(0, 10)) << "beside the shaft";
}

TEST(cxDragAndDropArrowTest, ATransparentArrowKeysOutItsBackground)
{
  rtl::TOwnedPtr<TcxDragAndDropArrow> arrow(rtl::New<TcxDragAndDropArrow>(true));
  ASSERT_TRUE(arrow->GetTransparent());
  arrow->Init(static_cast<vcl::TControl*>(nullptr), TRect{20, 30, 80, 60}, TRect{}, apLeft);
  arrow->Show(SW_SHOWNA);
  EXPECT_EQ(WindowRectOf(arrow->GetHandle()), (TRect{9, 25, 20, 36}));
  COLORREF key = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(arrow->GetHandle(), &key, nullptr, &flags));
  EXPECT_EQ(flags, DWORD(LWA_COLORKEY));
  EXPECT_EQ(key, RGB(255, 0, 255));
  EXPECT_FALSE(TDragImagesTestRegion(arrow->GetHandle()).HasRegion);
}

// The four places around a grey area, in the glyph's colours and
// recoloured; DropArrows.png in KV_RENDER_DIR.
TEST(cxDragAndDropArrowTest, DrawsTheFourPlacesRecoloured)
{
  const rtl::TOwnedPtr<TdxScaleFactor> factor = ScaleFactorOf(200);
  rtl::TOwnedPtr<TcxBitmap> bitmap(rtl::NewWith<TcxBitmap>([](TcxBitmap* B) { B->CreateSize(240, 120); }));
  TcxCanvas* canvas = bitmap->GetcxCanvas();
  canvas->FillRect(TRect{0, 0, 240, 120}, vcl::clWhite);
  struct {
    vcl::TColor Border;
    vcl::TColor Fill;
    int Left;
  } const styles[] = {{vcl::clDefault, vcl::clDefault, 0}, {vcl::clNavy, vcl::clYellow, 120}};
  for (const auto& style : styles) {
    const TRect area{style.Left + 35, 35, style.Left + 85, 85};
    canvas->FillRect(area, vcl::clSilver);
    for (TcxArrowPlace place : {apLeft, apTop, apRight, apBottom}) {
      const TRect bounds = TcxDragAndDropArrow::CalculateBounds(area, TRect{}, place, factor.get());
      TcxDragAndDropArrow::Draw(canvas, bounds, place, style.Border, style.Fill, factor.get());
    }
  }
  const HDC dc = canvas->GetHandle();
  EXPECT_EQ(GetPixel(dc, 13, 24), RGB(255, 255, 255)) << "the glyph's background is keyed out";
  const TRect top = TcxDragAndDropArrow::CalculateBounds(TRect{155, 35, 205, 85}, TRect{}, apTop, factor.get());
  EXPECT_EQ(GetPixel(dc, (top.left + top.right) / 2, top.top + 8), RGB(255, 255, 0)) << "recoloured fill";
  EXPECT_EQ(GetPixel(dc, (top.left + top.right) / 2, top.bottom - 1), RGB(0, 0, 128)) << "recoloured tip";

  const rtl::TOwnedPtr<TdxPNGImage> png(rtl::New<TdxPNGImage>());
  png->LoadFromBitmap(bitmap.get());
  if (const char* folder = std::getenv("KV_RENDER_DIR"))
    png->SaveToFile(std::wstring(folder, folder + std::strlen(folder)) + L"\\DropArrows.png");
}

}  // namespace
