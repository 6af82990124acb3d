// Starts kelvaro.exe, types a model and its fields into the main window,
// presses "Generate" and saves the window, as the screen shows it, as a PNG
// (scripts/screenshot runs it under Wine):
//
//   ProgramScreenshot <kelvaro.exe> <output.png>
#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "app/LinkOrder.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "graphics/dxGDIPlusClassesImages.h"
#include "platform/rtl/ClassesStreams.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/vcl/Graphics.h"
#include "platform/vcl/GraphicsHandles.h"

namespace {

void ShotCloseHandle(HANDLE AHandle) noexcept { CloseHandle(AHandle); }
using TShotHandle = vcl::TOwnedHandle<HANDLE, &ShotCloseHandle>;

// Polls until ACondition holds; false after about a minute.
template <class F>
bool WaitFor(F&& ACondition)
{
  for (int i = 0; i < 3000; ++i) {
    if (ACondition())
      return true;
    Sleep(20);
  }
  return ACondition();
}

HWND MainWindowOf(DWORD AProcessId)
{
  HWND wnd = nullptr;
  while ((wnd = FindWindowExW(nullptr, wnd, L"TfrmMain", nullptr)) != nullptr) {
    DWORD process = 0;
    GetWindowThreadProcessId(wnd, &process);
    if (process == AProcessId && IsWindowVisible(wnd))
      return wnd;
  }
  return nullptr;
}

// The deepest visible window under a client point of AParent.
HWND WindowAt(HWND AParent, POINT APoint)
{
  HWND wnd = AParent;
  for (;;) {
    HWND child = ChildWindowFromPointEx(wnd, APoint, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (!child || child == wnd)
      return wnd;
    MapWindowPoints(wnd, child, &APoint, 1);
    wnd = child;
  }
}

void Type(HWND AEdit, const wchar_t* AText)
{
  for (const wchar_t* c = AText; *c; ++c)
    SendMessageW(AEdit, WM_CHAR, *c, 1);
}

int TextLength(HWND AWnd)
{
  return static_cast<int>(SendMessageW(AWnd, WM_GETTEXTLENGTH, 0, 0));
}

// The window's rectangle as the screen shows it, through the system's own
// PNG encoder.
void SaveWindowImage(HWND AWnd, const rtl::String& AFileName)
{
  RECT bounds{};
  GetWindowRect(AWnd, &bounds);
  const rtl::TOwnedPtr<vcl::TBitmap> bitmap(rtl::New<vcl::TBitmap>());
  bitmap->SetPixelFormat(vcl::TPixelFormat::pf24bit);
  bitmap->SetSize(bounds.right - bounds.left, bounds.bottom - bounds.top);
  const vcl::TScreenDC screen;
  BitBlt(bitmap->GetCanvas()->GetHandle(), 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top, screen.Get(),
         bounds.left, bounds.top, SRCCOPY);
  const rtl::TOwnedPtr<TdxSmartImage> image(rtl::New<TdxSmartImage>());
  image->LoadFromBitmap(bitmap.get());
  const rtl::TOwnedPtr<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
  image->SaveToStreamByCodec(stream.get(), TdxGPImageCodecPNG::Class());
  stream->SaveToFile(AFileName);
}

int Shoot(const std::wstring& AProgram, const rtl::String& AOutput)
{
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  std::wstring commandLine = L"\"" + AProgram + L"\"";
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    std::fwprintf(stderr, L"ProgramScreenshot: cannot start %ls\n", AProgram.c_str());
    return 1;
  }
  const TShotHandle process(info.hProcess);
  const TShotHandle thread(info.hThread);
  HWND form = nullptr;
  if (!WaitFor([&] { return (form = MainWindowOf(info.dwProcessId)) != nullptr; })) {
    std::fwprintf(stderr, L"ProgramScreenshot: the main window did not show\n");
    TerminateProcess(process.Get(), 1);
    return 1;
  }
  // The model-name edit, the field memo and the page memo by their places
  // in the stored form.
  HWND modelName = WindowAt(form, {171, 18});
  HWND fields = WindowAt(form, {300, 110});
  Type(modelName, L"Company");
  Type(fields, L"String id;\rString name;\rList<Tag> tags;");
  PostMessageW(FindWindowExW(form, nullptr, L"TcxButton", L"Generate"), BM_CLICK, 0, 0);
  const bool generated = WaitFor([&] { return TextLength(WindowAt(form, {300, 356})) > 0; });
  // The caret blinks and the button's hot state fades: let the window
  // settle, then make sure every pending paint is done.
  Sleep(500);
  RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Sleep(500);
  if (generated)
    SaveWindowImage(form, AOutput);
  else
    std::fwprintf(stderr, L"ProgramScreenshot: Generate wrote nothing\n");
  PostMessageW(form, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.Get(), 60000) != WAIT_OBJECT_0)
    TerminateProcess(process.Get(), 1);
  return generated ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
  if (argc != 3) {
    std::fwprintf(stderr, L"usage: ProgramScreenshot <kelvaro.exe> <output.png>\n");
    return 2;
  }
  try {
    // The PNG encoder needs the graphics units started; the table must
    // outlive the run.
    const std::vector<const rtl::UnitInfo*> units = rtl::OrderUnits(rtl::LinkedUnits(), kLinkOrderNames);
    rtl::InitUnits(units);
    const int result = Shoot(argv[1], argv[2]);
    rtl::FinalizeUnits();
    return result;
  } catch (const rtl::Exception& e) {
    std::fwprintf(stderr, L"ProgramScreenshot: %ls\n", e.Message().c_str());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "ProgramScreenshot: %s\n", e.what());
    return 1;
  }
}
