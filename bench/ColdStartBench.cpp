// Cold start: from starting the process to its main window shown and fully
// painted, for kelvaro.exe and for a bare Win32 program that creates and
// paints one window, taken in turns in the same run under the same Wine.
// Prints the median of each and their ratio (the goal is within 2x).
//
//   bench_cold_start.exe [runs]    (default 5 of each)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/vcl/GraphicsHandles.h"

namespace {

void ColdStartCloseHandle(HANDLE AHandle) noexcept { CloseHandle(AHandle); }
using TColdStartHandle = vcl::TOwnedHandle<HANDLE, &ColdStartCloseHandle>;

double Seconds(LARGE_INTEGER AFrom, LARGE_INTEGER ATo)
{
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return double(ATo.QuadPart - AFrom.QuadPart) / double(frequency.QuadPart);
}

// The process's visible top-level window, else nil.
HWND VisibleWindowOf(DWORD AProcessId)
{
  HWND wnd = nullptr;
  while ((wnd = FindWindowExW(nullptr, wnd, nullptr, nullptr)) != nullptr) {
    DWORD process = 0;
    GetWindowThreadProcessId(wnd, &process);
    if (process == AProcessId && IsWindowVisible(wnd))
      return wnd;
  }
  return nullptr;
}

// Painted: the window's thread answers messages and nothing of the window
// (or of a child) waits to be painted.
bool IsPainted(HWND AWnd)
{
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(AWnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result))
    return false;
  if (GetUpdateRect(AWnd, nullptr, FALSE))
    return false;
  for (HWND child = GetWindow(AWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE))
      return false;
  return true;
}

// One cold start in seconds; negative when the program failed to show.
double ColdStart(const std::wstring& AProgram)
{
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  std::wstring commandLine = L"\"" + AProgram + L"\"";
  LARGE_INTEGER start, stop;
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return -1;
  const TColdStartHandle process(info.hProcess);
  const TColdStartHandle thread(info.hThread);
  HWND wnd = nullptr;
  // A program that does not show within two minutes has failed.
  for (int i = 0; i < 120000 && WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT; ++i) {
    if ((wnd = VisibleWindowOf(info.dwProcessId)) != nullptr && IsPainted(wnd))
      break;
    wnd = nullptr;
    Sleep(1);
  }
  QueryPerformanceCounter(&stop);
  if (!wnd)
    return -1;
  PostMessageW(wnd, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.Get(), 60000) != WAIT_OBJECT_0)
    TerminateProcess(process.Get(), 1);
  return Seconds(start, stop);
}

double Median(std::vector<double> AValues)
{
  std::sort(AValues.begin(), AValues.end());
  return AValues[AValues.size() / 2];
}

// The programs lie beside this one in the build tree.
std::wstring Beside(const wchar_t* ARelative)
{
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  folder.erase(folder.find_last_of(L"\\/") + 1);
  return folder + ARelative;
}

}  // namespace

int main(int argc, char** argv)
{
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const std::wstring kelvaro = Beside(L"..\\app\\kelvaro.exe");
  const std::wstring bare = Beside(L"bench_bare_window.exe");
  std::vector<double> kelvaroTimes, bareTimes;
  // In turns, so that a disturbance of the machine falls on both alike.
  for (int run = 0; run < runs; ++run) {
    const double b = ColdStart(bare);
    const double k = ColdStart(kelvaro);
    if (b < 0 || k < 0) {
      std::fprintf(stderr, "a program did not show its window (%s)\n", b < 0 ? "bare" : "kelvaro");
      return 1;
    }
    bareTimes.push_back(b);
    kelvaroTimes.push_back(k);
  }
  const double bareMedian = Median(bareTimes);
  const double kelvaroMedian = Median(kelvaroTimes);
  std::printf("%-24s %12s\n", "program (median)", "ms");
  std::printf("%-24s %12.1f\n", "bare Win32 window", bareMedian * 1e3);
  std::printf("%-24s %12.1f\n", "kelvaro.exe", kelvaroMedian * 1e3);
  std::printf("%-24s %12.2f  (goal: at most 2.00)\n", "ratio", kelvaroMedian / bareMedian);
  return 0;
}
