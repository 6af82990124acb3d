// Kelvaro: the program's main routine. Every unit starts in link order, the
// application makes the main window from its stored form and runs the
// message loop until that window closes; then the units finish in reverse.
#include <windows.h>

#include <vector>

#include "app/LinkOrder.h"
#include "app/uMain.h"
#include "platform/rtl/ClassesThreads.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/vcl/Forms.h"

namespace {

// Before the message loop there is no application to report to: a failed
// start is told in a plain message box.
void ReportStartFailure(const rtl::Exception& AError)
{
  const rtl::String text = rtl::String(AError.ClassName()) + L": " + AError.Message();
  MessageBoxW(nullptr, text.c_str(), L"Kelvaro", MB_OK | MB_ICONERROR);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
  rtl::SetMainThread();
  // LinkOrder() links every unit of the table; they start as the test
  // programs start theirs, which also refuses a linked unit the table lacks.
  static_cast<void>(LinkOrder());
  std::vector<const rtl::UnitInfo*> units;
  try {
    units = rtl::OrderUnits(rtl::LinkedUnits(), kLinkOrderNames);
    rtl::InitUnits(units);
  } catch (const rtl::Exception& E) {
    ReportStartFailure(E);
    rtl::FinalizeUnits();
    return 1;
  }

  int exitCode = 0;
  try {
    TfrmMain* frmMain = nullptr;
    vcl::Application()->Initialize();
    vcl::Application()->SetMainFormOnTaskBar(true);
    vcl::Application()->CreateForm(frmMain);
    vcl::Application()->Run();
  } catch (const rtl::Exception& E) {
    ReportStartFailure(E);
    exitCode = 1;
  }
  vcl::DoneApplication();
  rtl::FinalizeUnits();
  return exitCode;
}
