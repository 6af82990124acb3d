#include <gtest/gtest.h>

#include "controls/cxControls.h"
#include "controls/cxWindowUtils.h"
#include "platform/vcl/Forms.h"
#include "tests/support/TestSupport.h"

namespace {

vcl::TForm* NewActivateTestForm(int ALeft)
{
  vcl::TForm* form = rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(vcl::Application()); });
  form->SetBounds(ALeft, 40, 120, 80);
  return form;
}

// Where AWnd stands among the top-level windows, from the top.
int ActivateTestZIndex(HWND AWnd)
{
  int index = 0;
  for (HWND wnd = GetTopWindow(nullptr); wnd; wnd = GetWindow(wnd, GW_HWNDNEXT), ++index)
    if (wnd == AWnd)
      return index;
  return -1;
}

struct TActivateTestRun {
  TdxApplicationActivateWindowHelper* Helper;
  vcl::TForm* Older;
  vcl::TForm* Newer;
  vcl::TForm* Outsider;
  vcl::TForm* Modal;
  bool Ran;
  bool OlderInFront;
};

TActivateTestRun* ActivateTestRun = nullptr;

void CALLBACK ActivateTestTimer(HWND, UINT, UINT_PTR AId, DWORD)
{
  KillTimer(nullptr, AId);
  TActivateTestRun& run = *ActivateTestRun;
  run.Ran = true;
  run.Helper->NormalizeTopMostWindows(run.Outsider);
  run.OlderInFront = ActivateTestZIndex(run.Older->GetHandle()) < ActivateTestZIndex(run.Newer->GetHandle());
  run.Modal->SetModalResult(vcl::mrOk);
}

TEST(TdxApplicationActivateWindowHelper, PutsTheRegisteredFormsInFrontDuringAModalLoop)
{
  TdxApplicationActivateWindowHelper* helper = cxGetApplicationActivateWindowHelper();
  ASSERT_NE(helper, nullptr);
  TActivateTestRun run{helper, NewActivateTestForm(20), NewActivateTestForm(60), NewActivateTestForm(100),
                       NewActivateTestForm(140), false, false};
  helper->AddWindow(run.Older);
  helper->AddWindow(run.Newer);
  helper->AddWindow(run.Older);
  EXPECT_EQ(helper->GetWindowCount(), 2) << "each form once";
  run.Older->Show();
  run.Newer->Show();
  kvtest::PumpMessages();
  ASSERT_LT(ActivateTestZIndex(run.Newer->GetHandle()), ActivateTestZIndex(run.Older->GetHandle()));

  helper->NormalizeTopMostWindows(run.Outsider);
  EXPECT_LT(ActivateTestZIndex(run.Newer->GetHandle()), ActivateTestZIndex(run.Older->GetHandle()))
      << "no modal loop runs: nothing moves";

  ActivateTestRun = &run;
  SetTimer(nullptr, 0, 50, &ActivateTestTimer);
  run.Modal->ShowModal();
  ActivateTestRun = nullptr;
  EXPECT_TRUE(run.Ran);
  EXPECT_TRUE(run.OlderInFront) << "the oldest registered form ends in front";

  rtl::Free(run.Newer);
  EXPECT_EQ(helper->GetWindowCount(), 1) << "a freed form leaves by itself";
  helper->RemoveWindow(run.Older);
  EXPECT_EQ(helper->GetWindowCount(), 0);
  rtl::Free(run.Older);
  rtl::Free(run.Outsider);
  rtl::Free(run.Modal);
}

}  // namespace
