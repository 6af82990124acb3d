// Times Generate (model and CRUD class) on growing field lists and reports the
// time per line at each size as a ratio to the smallest size, measured in the
// same run. A ratio near 1 means the cost grows linearly with the lines.
#include "app/ModelGenerator.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace {

std::vector<rtl::String> FieldLines(int ACount)
{
  std::vector<rtl::String> lines;
  lines.reserve(ACount);
  for (int i = 0; i < ACount; ++i)
    lines.push_back(i % 5 == 4 ? L"List<Item" + std::to_wstring(i) + L"> items" + std::to_wstring(i) + L";"
                               : L"String field" + std::to_wstring(i) + L";");
  return lines;
}

double Seconds(LARGE_INTEGER AFrom, LARGE_INTEGER ATo)
{
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return double(ATo.QuadPart - AFrom.QuadPart) / double(frequency.QuadPart);
}

// The best of a few runs, so that one disturbed run does not count.
double SecondsPerLine(const std::vector<rtl::String>& ALines)
{
  double best = 1e300;
  for (int run = 0; run < 5; ++run) {
    TGeneratedEntries model, crud;
    LARGE_INTEGER start, stop;
    QueryPerformanceCounter(&start);
    GenerateModelClass(L"Company", ALines, model);
    GenerateCrudClass(L"Company", ALines, crud);
    QueryPerformanceCounter(&stop);
    best = std::min(best, Seconds(start, stop));
  }
  return best / double(ALines.size());
}

}  // namespace

int main()
{
  const int sizes[] = {1000, 10000, 100000};
  double baseline = 0;
  std::printf("%10s %14s %10s\n", "lines", "ns per line", "ratio");
  for (int size : sizes) {
    const double perLine = SecondsPerLine(FieldLines(size));
    if (baseline == 0)
      baseline = perLine;
    std::printf("%10d %14.1f %10.2f\n", size, perLine * 1e9, perLine / baseline);
  }
  return 0;
}
