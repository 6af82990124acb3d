// Times filling a memo the way Generate does (one Lines.Add per generated
// entry of the model and CRUD classes) against one WM_SETTEXT of the same
// final text into the same memo, both measured in the same run, for 1,000,
// 10,000 and 100,000 field lines. The ratio should stay small and flat: the
// appends cost time in proportion to the text, as the one replacement does.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/LinkOrder.h"
#include "app/ModelGenerator.h"
#include "editors/cxMemo.h"
#include "platform/rtl/SystemUnits.h"

namespace {

std::vector<rtl::String> MemoBenchFieldLines(int ACount)
{
  std::vector<rtl::String> lines;
  lines.reserve(ACount);
  for (int i = 0; i < ACount; ++i)
    lines.push_back(i % 5 == 4 ? L"List<Item" + std::to_wstring(i) + L"> items" + std::to_wstring(i) + L";"
                               : L"String field" + std::to_wstring(i) + L";");
  return lines;
}

double MemoBenchSeconds(LARGE_INTEGER AFrom, LARGE_INTEGER ATo)
{
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return double(ATo.QuadPart - AFrom.QuadPart) / double(frequency.QuadPart);
}

template <class F>
double MemoBenchTime(F&& AWork)
{
  LARGE_INTEGER start, stop;
  QueryPerformanceCounter(&start);
  AWork();
  QueryPerformanceCounter(&stop);
  return MemoBenchSeconds(start, stop);
}

}  // namespace

int main()
{
  const std::vector<const rtl::UnitInfo*> units = rtl::OrderUnits(rtl::LinkedUnits(), kLinkOrderNames);
  rtl::InitUnits(units);
  {
    const HWND host = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                      600, 400, nullptr, nullptr, nullptr, nullptr);
    rtl::TOwnedPtr<TcxMemo> memo(rtl::New<TcxMemo>(nullptr));
    memo->SetParentWindow(host);
    memo->SetBounds(0, 0, 600, 400);
    memo->GetMemoProperties()->SetScrollBars(vcl::TScrollStyle::ssBoth);
    memo->HandleNeeded();

    std::printf("%10s %10s %12s %12s %8s %16s\n", "fields", "entries", "adds (s)", "settext (s)", "ratio",
                "add ns per char");
    double firstPerChar = 0;
    for (int size : {1000, 10000, 100000}) {
      const std::vector<rtl::String> fields = MemoBenchFieldLines(size);
      TGeneratedEntries entries;
      GenerateModelClass(L"Company", fields, entries);
      GenerateCrudClass(L"Company", fields, entries);

      memo->Clear();
      rtl::String finalText;
      const double adds = MemoBenchTime([&] {
        for (const rtl::String& entry : entries)
          memo->GetLines()->Add(entry);
        finalText = memo->GetLines()->GetText();
      });
      memo->Clear();
      const HWND inner = memo->GetInnerControl()->GetHandle();
      const double setText = MemoBenchTime(
          [&] { SendMessageW(inner, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(finalText.c_str())); });
      const double perChar = adds / double(finalText.size());
      if (firstPerChar == 0)
        firstPerChar = perChar;
      std::printf("%10d %10zu %12.3f %12.3f %8.2f %16.1f\n", size, entries.size(), adds, setText, adds / setText,
                  perChar * 1e9);
    }
    memo.reset();
    DestroyWindow(host);
  }
  rtl::FinalizeUnits();
  return 0;
}
