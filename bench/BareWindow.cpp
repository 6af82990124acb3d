// The baseline of the cold-start benchmark: a bare Win32 program that
// creates one window, paints it and runs its message loop until it closes.
#include <windows.h>

#include "platform/rtl/ClassesThreads.h"

namespace {

LRESULT BareWindowMessage(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam)
{
  switch (AMsg) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(AWnd, &paint);
      FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
      TextOutW(dc, 8, 8, L"Kelvaro", 7);
      EndPaint(AWnd, &paint);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(AWnd, AMsg, AWParam, ALParam);
  }
}

LRESULT CALLBACK BareWindowProc(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam) noexcept
{
  return rtl::GuardCallback(LRESULT{0}, [&] { return BareWindowMessage(AWnd, AMsg, AWParam, ALParam); });
}

}  // namespace

int WINAPI WinMain(HINSTANCE AInstance, HINSTANCE, LPSTR, int)
{
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &BareWindowProc;
  windowClass.hInstance = AInstance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = L"KvBareWindow";
  RegisterClassW(&windowClass);
  HWND wnd = CreateWindowExW(0, L"KvBareWindow", L"Kelvaro", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 742,
                             539, nullptr, nullptr, AInstance, nullptr);
  ShowWindow(wnd, SW_SHOWNORMAL);
  UpdateWindow(wnd);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
