#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/vcl/GraphicsHandles.h"
#include "tests/platform/vcl/GraphicsTestSupport.h"

using namespace vcl;
using vcltest::TSurface;

namespace {

// The state one guard looks after, read as numbers so that any two can be
// compared; the clip region reads as GetClipRgn's answer and its box.
using TDCState = std::vector<long long>;

TDCState ClipState(HDC ADC)
{
  const TOwnedRegion region(CreateRectRgn(0, 0, 0, 0));
  const int state = GetClipRgn(ADC, region.Get());
  RECT box{};
  if (state == 1)
    GetRgnBox(region.Get(), &box);
  return {state, box.left, box.top, box.right, box.bottom};
}

TDCState TransformState(HDC ADC)
{
  XFORM transform{};
  GetWorldTransform(ADC, &transform);
  // Hundredths are exact enough for the factors used here.
  const auto scaled = [](float AValue) { return static_cast<long long>(AValue * 100); };
  return {GetGraphicsMode(ADC),   scaled(transform.eM11), scaled(transform.eM12), scaled(transform.eM21),
          scaled(transform.eM22), scaled(transform.eDx),  scaled(transform.eDy)};
}

constexpr XFORM kDoubled{2, 0, 0, 2, 5, 7};

// Called inside a guard's scope, once the scope has changed the state.
using TInside = std::function<void()>;

// One guard: how the DC starts, what is read, and the scope that makes
// the guard, changes the state under it and calls AInside.
struct TGuardCase {
  const char* Name;
  std::function<void(HDC)> Prepare;
  std::function<TDCState(HDC)> Read;
  std::function<void(HDC, const TInside&)> Scope;
};

}  // namespace

// Each guard leaves the DC as it found it, whether its scope ends normally
// or by an exception, and the scope really did change the state.
TEST(GraphicsHandlesTest, EachGuardPutsBackWhatItsScopeChanged)
{
  const TGuardCase cases[] = {
      {"background mode set", [](HDC DC) { SetBkMode(DC, OPAQUE); },
       [](HDC DC) { return TDCState{GetBkMode(DC)}; },
       [](HDC DC, const TInside& AInside) {
         const TBkModeGuard guard(DC, TRANSPARENT);
         AInside();
       }},
      {"background mode saved", [](HDC DC) { SetBkMode(DC, TRANSPARENT); },
       [](HDC DC) { return TDCState{GetBkMode(DC)}; },
       [](HDC DC, const TInside& AInside) {
         const TBkModeGuard guard(DC);
         SetBkMode(DC, OPAQUE);
         AInside();
       }},
      {"text colour set", [](HDC DC) { SetTextColor(DC, RGB(200, 100, 50)); },
       [](HDC DC) { return TDCState{GetTextColor(DC)}; },
       [](HDC DC, const TInside& AInside) {
         const TTextColorGuard guard(DC, RGB(1, 2, 3));
         AInside();
       }},
      {"text colour saved", [](HDC DC) { SetTextColor(DC, RGB(0, 128, 255)); },
       [](HDC DC) { return TDCState{GetTextColor(DC)}; },
       [](HDC DC, const TInside& AInside) {
         const TTextColorGuard guard(DC);
         SetTextColor(DC, RGB(9, 9, 9));
         AInside();
       }},
      {"text alignment", [](HDC DC) { SetTextAlign(DC, TA_BOTTOM | TA_RIGHT); },
       [](HDC DC) { return TDCState{GetTextAlign(DC)}; },
       [](HDC DC, const TInside& AInside) {
         const TTextAlignGuard guard(DC, TA_TOP | TA_LEFT);
         AInside();
       }},
      {"stretch mode", [](HDC DC) { SetStretchBltMode(DC, BLACKONWHITE); },
       [](HDC DC) { return TDCState{GetStretchBltMode(DC)}; },
       [](HDC DC, const TInside& AInside) {
         const TStretchBltModeGuard guard(DC, HALFTONE);
         AInside();
       }},
      {"selected brush", [](HDC DC) { SelectObject(DC, GetStockObject(WHITE_BRUSH)); },
       [](HDC DC) { return TDCState{reinterpret_cast<long long>(GetCurrentObject(DC, OBJ_BRUSH))}; },
       [](HDC DC, const TInside& AInside) {
         const TSelectObjectGuard guard(DC, GetStockObject(BLACK_BRUSH));
         AInside();
       }},
      {"saved DC", [](HDC DC) { SetBkColor(DC, RGB(10, 20, 30)); },
       [](HDC DC) { return TDCState{GetBkColor(DC)}; },
       [](HDC DC, const TInside& AInside) {
         const TSaveDCGuard guard(DC);
         SetBkColor(DC, RGB(40, 50, 60));
         AInside();
       }},
      {"no clip region", [](HDC DC) { SelectClipRgn(DC, nullptr); }, ClipState,
       [](HDC DC, const TInside& AInside) {
         const TClipRegionGuard guard(DC);
         IntersectClipRect(DC, 1, 2, 3, 4);
         AInside();
       }},
      {"a clip region", [](HDC DC) { SelectClipRgn(DC, TOwnedRegion(CreateRectRgn(2, 3, 20, 30)).Get()); },
       ClipState,
       [](HDC DC, const TInside& AInside) {
         const TClipRegionGuard guard(DC);
         SelectClipRgn(DC, TOwnedRegion(CreateRectRgn(0, 0, 5, 5)).Get());
         AInside();
       }},
      {"compatible mode", [](HDC DC) { SetGraphicsMode(DC, GM_COMPATIBLE); }, TransformState,
       [](HDC DC, const TInside& AInside) {
         const TWorldTransformGuard guard(DC, kDoubled);
         AInside();
       }},
      {"advanced mode with a transform",
       [](HDC DC) {
         SetGraphicsMode(DC, GM_ADVANCED);
         const XFORM half{0.5f, 0, 0, 0.5f, 1, 2};
         SetWorldTransform(DC, &half);
       },
       TransformState, [](HDC DC, const TInside& AInside) {
         const TWorldTransformGuard guard(DC, kDoubled);
         AInside();
       }},
  };
  for (const TGuardCase& c : cases) {
    for (const bool raise : {false, true}) {
      SCOPED_TRACE(std::string(c.Name) + (raise ? ", left by an exception" : ""));
      const TSurface surface(32, 32);
      const HDC dc = surface.DC();
      c.Prepare(dc);
      const TDCState before = c.Read(dc);
      try {
        c.Scope(dc, [&] {
          EXPECT_NE(c.Read(dc), before) << "the scope changed nothing";
          if (raise)
            throw std::runtime_error("left early");
        });
      } catch (const std::runtime_error&) {
      }
      EXPECT_EQ(c.Read(dc), before);
    }
  }
}

// The guards that set a value really hold it for their scope.
TEST(GraphicsHandlesTest, GuardsGivenAValueHoldItForTheScope)
{
  const TSurface surface(32, 32);
  const HDC dc = surface.DC();
  SetGraphicsMode(dc, GM_COMPATIBLE);
  {
    const TBkModeGuard bkMode(dc, TRANSPARENT);
    const TTextColorGuard textColor(dc, RGB(1, 2, 3));
    const TTextAlignGuard align(dc, TA_RIGHT);
    const TWorldTransformGuard transform(dc, kDoubled);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    EXPECT_EQ(GetTextAlign(dc) & TA_RIGHT, static_cast<UINT>(TA_RIGHT));
    EXPECT_EQ(TransformState(dc), (TDCState{GM_ADVANCED, 200, 0, 0, 200, 500, 700}));
  }
  EXPECT_EQ(TransformState(dc), (TDCState{GM_COMPATIBLE, 100, 0, 0, 100, 0, 0}));
}

// A locked block is unlocked when the scope ends; its size is the block's.
TEST(GraphicsHandlesTest, GlobalLockUnlocksAtTheEndOfTheScope)
{
  const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 64);
  ASSERT_NE(block, nullptr);
  {
    const TGlobalLock<std::uint8_t> lock(block);
    ASSERT_NE(lock.Get(), nullptr);
    EXPECT_GE(lock.Size(), 64u);
    EXPECT_EQ(GlobalFlags(block) & GMEM_LOCKCOUNT, 1u);
  }
  EXPECT_EQ(GlobalFlags(block) & GMEM_LOCKCOUNT, 0u);
  GlobalFree(block);
}

// A borrowed DC moves with its window; the one moved from gives back
// nothing.
TEST(GraphicsHandlesTest, WindowDCMovesWithItsWindow)
{
  TScreenDC screen;
  ASSERT_TRUE(screen);
  const HDC dc = screen.Get();
  TWindowDC moved(std::move(screen));
  EXPECT_FALSE(screen);
  EXPECT_EQ(moved.Get(), dc);
  EXPECT_EQ(moved.Window(), nullptr);
  EXPECT_GT(GetDeviceCaps(moved.Get(), LOGPIXELSY), 0);
  moved.Reset();
  EXPECT_FALSE(moved);
}

// DeleteAndNil frees an object kept in a plain variable and clears it.
TEST(GraphicsHandlesTest, DeleteAndNilFreesAndClears)
{
  HRGN region = CreateRectRgn(0, 0, 4, 4);
  ASSERT_NE(region, nullptr);
  const HRGN held = region;
  DeleteAndNil(region);
  EXPECT_EQ(region, nullptr);
  EXPECT_EQ(GetObjectType(held), 0u);
  DeleteAndNil(region);
  EXPECT_EQ(region, nullptr);
}
