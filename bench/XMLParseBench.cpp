// Loads a generated XML document of about 10 MB and reports the reader's
// speed in MB/s beside a plain memchr scan for "<" over the same bytes,
// measured in the same run; the ratio says how many times slower than
// merely touching every byte the reader is.
#include "graphics/dxXMLDoc.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Icon-like elements with attributes, references, text, comments and CDATA.
std::string GenerateDocument(std::size_t ASize)
{
  std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<svg xmlns=\"http://www.w3.org/2000/svg\">\r\n";
  for (int i = 0; text.size() < ASize; ++i) {
    const std::string n = std::to_string(i);
    text += "\t<g id=\"g" + n + "\" transform=\"translate(" + n + ", 1)\" fill=\"#" + std::to_string(100000 + i % 900000) +
            "\">\r\n"
            "\t\t<!-- shape " + n + " -->\r\n"
            "\t\t<path d=\"M0 0L" + n + " 8C1 2 3 4 5 6z\" stroke-width=\"1.5\"/>\r\n"
            "\t\t<rect x=\"1\" y=\"2\" width=\"" + n + "\" height=\"3\" style=\"opacity:0.5\"/>\r\n"
            "\t\t<text x=\"1\">Label &amp; value &#233; " + n + "</text>\r\n"
            "\t\t<style><![CDATA[.c" + n + "{fill:red}]]></style>\r\n"
            "\t</g>\r\n";
  }
  return text + "</svg>\r\n";
}

double Seconds(LARGE_INTEGER AFrom, LARGE_INTEGER ATo)
{
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return double(ATo.QuadPart - AFrom.QuadPart) / double(frequency.QuadPart);
}

// The best of a few runs, so that one disturbed run does not count.
template <class F>
double BestSeconds(int ARuns, F&& AWork)
{
  double best = 1e300;
  for (int run = 0; run < ARuns; ++run) {
    LARGE_INTEGER start, stop;
    QueryPerformanceCounter(&start);
    AWork();
    QueryPerformanceCounter(&stop);
    best = std::min(best, Seconds(start, stop));
  }
  return best;
}

}  // namespace

int main()
{
  const std::string text = GenerateDocument(10 * 1024 * 1024);
  const double megabytes = double(text.size()) / (1024.0 * 1024.0);

  std::size_t tags = 0;
  const double scan = BestSeconds(5, [&] {
    tags = 0;
    for (const char* p = text.data(); (p = static_cast<const char*>(std::memchr(p, '<', text.data() + text.size() - p)));
         ++p)
      ++tags;
  });

  // Into a fresh document each time: freeing the last run's tree is not
  // reading.
  double load = 1e300;
  int groups = 0;
  for (int run = 0; run < 3; ++run) {
    rtl::TOwnedPtr<TdxXMLDocument> document(rtl::New<TdxXMLDocument>(nullptr));
    load = std::min(load, BestSeconds(1, [&] { document->LoadFromString(text); }));
    groups = document->GetRoot()->First()->GetCount();
  }

  std::printf("%.1f MB, %zu tags, %d groups\n", megabytes, tags, groups);
  std::printf("%-16s %10s %10s\n", "", "MB/s", "ratio");
  std::printf("%-16s %10.1f %10.2f\n", "memchr scan", megabytes / scan, 1.0);
  std::printf("%-16s %10.1f %10.2f\n", "XML load", megabytes / load, load / scan);
  return 0;
}
