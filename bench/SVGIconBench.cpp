// Renders a set of icon-sized SVG documents to bitmaps and reports the time
// per icon for each, from the parsed tree to a fresh raster at 32 x 32, as a
// ratio to the plain filled square measured first in the same run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/LinkOrder.h"
#include "graphics/dxSVGImage.h"
#include "platform/rtl/SystemUnits.h"

namespace {

struct TSVGBenchIcon {
  const char* Name;
  std::string Text;
};

std::vector<TSVGBenchIcon> BenchIcons()
{
  const std::string head = R"X(<svg viewBox="0 0 16 16">)X";
  return {
      {"square", head + R"X(<rect x="2" y="2" width="12" height="12" fill="#3C78D8"/></svg>)X"},
      {"paths", head + R"X(<path d="M2 2 L14 2 L14 6 Q8 10 2 6 Z" fill="#E06666"/>
        <path d="M3 14 C3 10 13 10 13 14 Z" fill="#6AA84F" stroke="#274E13" stroke-width="0.5"/></svg>)X"},
      {"arcs", head + R"X(<path d="M8 1 A7 7 0 1 1 7.99 1 Z M8 4 A4 4 0 1 0 8.01 4 Z" fill-rule="evenodd"/></svg>)X"},
      {"gradient", head + R"X(<linearGradient id="g" x2="0" y2="1"><stop offset="0" stop-color="#FFD966"/>
        <stop offset="1" stop-color="#BF9000"/></linearGradient><circle cx="8" cy="8" r="6" fill="url(#g)"/></svg>)X"},
      {"clip+use", head + R"X(<defs><rect id="r" width="6" height="6" rx="1" ry="1"/></defs>
        <clipPath id="c"><circle cx="8" cy="8" r="7"/></clipPath><g clip-path="url(#c)" fill="#674EA7">
        <use href="#r" x="1" y="1"/><use href="#r" x="9" y="1"/><use href="#r" x="1" y="9"/>
        <use href="#r" x="9" y="9"/></g></svg>)X"},
  };
}

double Seconds(LARGE_INTEGER AFrom, LARGE_INTEGER ATo)
{
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return double(ATo.QuadPart - AFrom.QuadPart) / double(frequency.QuadPart);
}

// The best of a few runs of ARepeats fresh rasters, per raster.
double SecondsPerIcon(TdxSVGImageHandle* AHandle)
{
  constexpr int repeats = 10;
  double best = 1e300;
  for (int run = 0; run < 3; ++run) {
    LARGE_INTEGER start, stop;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < repeats; ++i) {
      // Every other size drops the cached raster, so each call renders.
      AHandle->GetRasterizedImage(i % 2 ? TSize{32, 32} : TSize{31, 31}, nullptr);
    }
    QueryPerformanceCounter(&stop);
    best = std::min(best, Seconds(start, stop) / repeats);
  }
  return best;
}

}  // namespace

int main()
{
  const std::vector<const rtl::UnitInfo*> units = rtl::OrderUnits(rtl::LinkedUnits(), kLinkOrderNames);
  rtl::InitUnits(units);
  if (!dxGpIsAvailable()) {
    std::printf("The 2-D graphics library is not available.\n");
    rtl::FinalizeUnits();
    return 1;
  }
  double baseline = 0;
  std::printf("%10s %14s %10s\n", "icon", "us per icon", "ratio");
  for (const TSVGBenchIcon& icon : BenchIcons()) {
    rtl::TOwnedPtr<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
    stream->WriteBuffer(icon.Text.data(), static_cast<int>(icon.Text.size()));
    stream->SetPosition(0);
    TdxSmartImageCustomHandle* handle = nullptr;
    if (!TdxSVGImageCodec::Class()->Load(stream.get(), handle)) {
      std::printf("%10s could not be loaded\n", icon.Name);
      continue;
    }
    rtl::TOwnedPtr<TdxSmartImageCustomHandle> owner(handle);
    const double perIcon = SecondsPerIcon(static_cast<TdxSVGImageHandle*>(handle));
    if (baseline == 0)
      baseline = perIcon;
    std::printf("%10s %14.1f %10.2f\n", icon.Name, perIcon * 1e6, perIcon / baseline);
  }
  rtl::FinalizeUnits();
  return 0;
}
