// Times drawing one skin element (a button face, 100 x 25) through its draw
// cache against a BitBlt of the same area, and reports the ratio, both
// measured in the same run. The cache exists so that a repeated face costs
// little more than that copy.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/LinkOrder.h"
#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "platform/rtl/SystemUnits.h"
#include "skins/dxSkinsCore.h"

namespace {

constexpr int SkinBenchDraws = 2000;
constexpr TRect SkinBenchFace{0, 0, 100, 25};

double SkinBenchSeconds(LARGE_INTEGER AFrom, LARGE_INTEGER ATo)
{
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return double(ATo.QuadPart - AFrom.QuadPart) / double(frequency.QuadPart);
}

// The best of a few runs of ADraws calls, so that one disturbed run does not
// count.
template <class F>
double SkinBenchBest(F&& ADraw)
{
  double best = 1e300;
  for (int run = 0; run < 5; ++run) {
    LARGE_INTEGER start, stop;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < SkinBenchDraws; ++i)
      ADraw();
    QueryPerformanceCounter(&stop);
    best = std::min(best, SkinBenchSeconds(start, stop));
  }
  return best / SkinBenchDraws;
}

// An opaque button face: grey border, light body, nine parts with margins 3.
void SkinBenchLoadFace(TdxSkinElement* AElement)
{
  TRGBColors bits(12 * 12);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      const bool edge = x == 0 || x == 11 || y == 0 || y == 11;
      const BYTE c = edge ? 0x70 : 0xE1;
      bits[static_cast<std::size_t>(y) * 12 + x] = RGBQUAD{c, c, c, 0xFF};
    }
  AElement->GetImage()->GetTexture()->LoadFromBits(12, 12, bits, true);
  AElement->GetImage()->GetMargins()->SetAll(3);
  AElement->SetColor(0xE1E1E1);
  AElement->SetUseCache(true);
}

}  // namespace

int main()
{
  const std::vector<const rtl::UnitInfo*> units = rtl::OrderUnits(rtl::LinkedUnits(), kLinkOrderNames);
  rtl::InitUnits(units);
  {
    rtl::TOwnedPtr<TdxSkin> skin(rtl::New<TdxSkin>(rtl::String(L"Bench"), false, HINSTANCE(nullptr)));
    TdxSkinElement* face = skin->AddGroup(L"Common")->AddElement(L"Button");
    SkinBenchLoadFace(face);
    rtl::TOwnedPtr<TcxBitmap> target(
        rtl::NewWith<TcxBitmap>([](TcxBitmap* B) { B->CreateSize(SkinBenchFace, vcl::TPixelFormat::pf32bit); }));
    rtl::TOwnedPtr<TcxBitmap> source(
        rtl::NewWith<TcxBitmap>([](TcxBitmap* B) { B->CreateSize(SkinBenchFace, vcl::TPixelFormat::pf32bit); }));
    const HDC targetDC = target->GetCanvas()->GetHandle();
    const HDC sourceDC = source->GetCanvas()->GetHandle();
    TdxScaleFactor* scale = dxGetDefaultScaleFactor();

    const double element = SkinBenchBest([&] { face->Draw(targetDC, SkinBenchFace, scale); });
    const double blit = SkinBenchBest([&] {
      BitBlt(targetDC, 0, 0, SkinBenchFace.right, SkinBenchFace.bottom, sourceDC, 0, 0, SRCCOPY);
    });
    std::printf("%-28s %12s %10s\n", "draw (100 x 25)", "us per draw", "ratio");
    std::printf("%-28s %12.2f %10.2f\n", "BitBlt", blit * 1e6, 1.0);
    std::printf("%-28s %12.2f %10.2f\n", "skin element through cache", element * 1e6, element / blit);
  }
  rtl::FinalizeUnits();
  return 0;
}
