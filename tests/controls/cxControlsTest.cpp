#include "controls/cxControls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <vector>

#include "app/LinkOrder.h"
#include "controls/cxMouseTracking.h"
#include "controls/cxWindowProcs.h"
#include "controls/dxDWMApi.h"
#include "controls/dxMessages.h"
#include "controls/dxSystemInfo.h"
#include "core/cxClasses.h"
#include "core/dxCore.h"
#include "graphics/dxFading.h"
#include "platform/vcl/Forms.h"
#include "tests/support/TestHost.h"

namespace {

int LinkOrderIndex(std::string_view AName)
{
  const auto names = std::span(kLinkOrderNames);
  return static_cast<int>(std::find(names.begin(), names.end(), AName) - names.begin());
}

TEST(cxControlsStartup, StartsAfterTheLookAndFeelInTheProgramsOrder)
{
  EXPECT_LT(LinkOrderIndex("cxLookAndFeels"), LinkOrderIndex("dxDWMApi"));
  // The scroll UI's two small start-ups come just before the framework's.
  EXPECT_EQ(LinkOrderIndex("dxDWMApi") + 1, LinkOrderIndex("dxHybridScrollbars"));
  EXPECT_EQ(LinkOrderIndex("dxHybridScrollbars") + 1, LinkOrderIndex("dxTouchScrollUI"));
  EXPECT_EQ(LinkOrderIndex("dxTouchScrollUI") + 1, LinkOrderIndex("cxControls"));
  EXPECT_LT(LinkOrderIndex("cxControls"), static_cast<int>(std::size(kLinkOrderNames)));
  const auto linked = rtl::LinkedUnits();
  for (const rtl::UnitInfo* unit : {&unit_dxDWMApi, &unit_cxControls})
    EXPECT_NE(std::find(linked.begin(), linked.end(), unit), linked.end()) << unit->name;
}

// The sizes of the images a cursor group resource holds.
std::vector<int> CursorGroupSizes(const wchar_t* AName)
{
  const HMODULE module = GetModuleHandleW(nullptr);
  const HRSRC info = FindResourceW(module, AName, MAKEINTRESOURCEW(12));  // RT_GROUP_CURSOR
  if (!info)
    return {};
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, info)));
  const DWORD size = SizeofResource(module, info);
  if (!data || size < 6)
    return {};
  const WORD count = *reinterpret_cast<const WORD*>(data + 4);
  std::vector<int> result;
  // Each directory entry: width and height as words, planes, bit count,
  // bytes in the image, identifier: 14 bytes.
  for (WORD i = 0; i < count && 6u + 14u * (i + 1) <= size; ++i)
    result.push_back(*reinterpret_cast<const WORD*>(data + 6 + 14 * i));
  return result;
}

TEST(cxControlsStartup, RegistersItsCursorsUnderTheirIdentifiers)
{
  const HCURSOR arrow = vcl::Screen()->GetCursors(vcl::crArrow);
  ASSERT_EQ(cxControlsCursors().size(), 27u);
  for (const TcxCursorResource& cursor : cxControlsCursors()) {
    const HCURSOR handle = vcl::Screen()->GetCursors(cursor.Id);
    EXPECT_NE(handle, nullptr) << cursor.Id;
    EXPECT_NE(handle, arrow) << cursor.Id;
    if (!cursor.ResourceName)
      continue;
    const std::wstring_view name = cursor.ResourceName;
    const std::vector<int> expected =
        name == L"CX_HANDCURSOR" || name == L"CX_HANDDRAGCURSOR" ? std::vector<int>{32} : std::vector<int>{32, 48, 64};
    EXPECT_EQ(CursorGroupSizes(cursor.ResourceName), expected) << cursor.Id;
  }
  EXPECT_EQ(vcl::Screen()->GetCursors(2118), arrow) << "2118 is not the framework's";
}

// A window whose procedure swallows what the hook test sends, so that no
// message moves, hides or minimises anything.
LRESULT CALLBACK HookTestWndProc(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam)
{
  if (AMsg >= WM_USER || AMsg == WM_MOVE || AMsg == WM_SIZE || AMsg == WM_ENABLE || AMsg == WM_WINDOWPOSCHANGED ||
      AMsg == WM_CLOSE || AMsg == WM_SYSCOMMAND || AMsg == WM_MDIACTIVATE || AMsg == WM_MDIRESTORE)
    return 0;
  return DefWindowProcW(AWnd, AMsg, AWParam, ALParam);
}

kvtest::TSequenceLog* HookTestLog = nullptr;
void HookTestMoved(HWND)
{
  HookTestLog->Add(L"moved");
}
void HookTestHidden(HWND)
{
  HookTestLog->Add(L"hidden");
}

TEST(cxControlsStartup, TheMessageHookTellsTheScrollUIOfMovedAndHiddenWindows)
{
  const HWND wnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookTestWndProc));
  kvtest::TSequenceLog log;
  HookTestLog = &log;
  const TcxScrollUIWindowWatcher watcher{&HookTestMoved, &HookTestHidden};
  cxAddScrollUIWindowWatcher(watcher);

  WINDOWPOS hiding{wnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW};
  WINDOWPOS moving{wnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE};
  struct {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    const wchar_t* Expected;
  } const cases[] = {
      {WM_MOVE, 0, 0, L"moved"},
      {WM_SIZE, 0, 0, L"moved"},
      {WM_MDIACTIVATE, 0, 0, L"moved"},
      {WM_MDIRESTORE, 0, 0, L"moved"},
      {WM_ENABLE, FALSE, 0, L"hidden"},
      {WM_ENABLE, TRUE, 0, nullptr},
      {WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&hiding), L"hidden"},
      {WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&moving), nullptr},
      {WM_CLOSE, 0, 0, L"hidden"},
      {WM_SYSCOMMAND, SC_MINIMIZE | 2, 0, L"hidden"},
      {WM_SYSCOMMAND, SC_MAXIMIZE, 0, nullptr},
      {WM_USER, 0, 0, nullptr},
  };
  for (const auto& c : cases) {
    log.Clear();
    SendMessageW(wnd, c.Msg, c.WParam, c.LParam);
    log.Expect(c.Expected ? std::vector<std::wstring>{c.Expected} : std::vector<std::wstring>{},
               ("message " + std::to_string(c.Msg)).c_str());
  }
  cxRemoveScrollUIWindowWatcher(watcher);
  log.Clear();
  SendMessageW(wnd, WM_MOVE, 0, 0);
  log.Expect({}, "after the watcher left");
  HookTestLog = nullptr;
  DestroyWindow(wnd);
}

TEST(cxControlsStartup, TheServicesExistWhileTheFrameworkRuns)
{
  EXPECT_FALSE(cxControlsFinalized());
  EXPECT_NE(cxGetWindowProcController(), nullptr);
  EXPECT_NE(cxGetSystemInfo(), nullptr);
  EXPECT_NE(cxGetHiddenMessageWindow(), nullptr);
  EXPECT_NE(cxGetMessagesController(), nullptr);
  EXPECT_EQ(cxIsUpdateLayeredWindowAvailable(),
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "UpdateLayeredWindow") != nullptr);
}

TEST(cxControlsStartup, TheFaderReadsThroughTheSystemInformation)
{
  const TdxFadingGetSystemParameterFunc installed = dxFadingSetGetSystemParameterFunc(nullptr);
  const TdxFadingGetSystemParameterFunc direct = dxFadingSetGetSystemParameterFunc(installed);
  EXPECT_NE(installed, direct) << "the start-up installed the framework's reading";
  UINT throughCache = 2;
  UINT plain = 3;
  EXPECT_EQ(installed(SPI_GETMENUANIMATION, throughCache), direct(SPI_GETMENUANIMATION, plain));
  EXPECT_EQ(throughCache, plain);
}

// A caller that never ends its tracking.
class TControlsLeakedTrackingCaller : public TcxIUnknownObject, public IcxMouseTrackingCaller {
  RTL_CLASS(TControlsLeakedTrackingCaller, TcxIUnknownObject)
  RTL_INTERFACES(IcxMouseTrackingCaller)

 public:
  void __stdcall MouseLeave() override {}
};

class cxControlsShutdownTest : public kvtest::THostedTest {};

TEST_F(cxControlsShutdownTest, FreesEveryServiceEvenWhenTrackingWasLeaked)
{
  auto* panel = AddChild<kvtest::TTestPanel>({0, 0, 50, 50});
  const rtl::TWndMethod ownWindowProc = panel->GetWindowProc();
  TcxWindowProcLinkedObject* link = cxGetWindowProcController()->Add(panel, ownWindowProc);
  ASSERT_NE(link, nullptr);
  rtl::TOwnedPtr<TControlsLeakedTrackingCaller> caller(rtl::New<TControlsLeakedTrackingCaller>());
  cxBeginMouseTracking(nullptr, {0, 0, 1, 1}, caller.get());

  // A nested start-up counts: the first shut-down does nothing.
  unit_cxControls.initialization();
  unit_cxControls.finalization();
  EXPECT_FALSE(cxControlsFinalized());
  EXPECT_TRUE(cxIsMouseTracking(caller.get()));

  try {
    unit_cxControls.finalization();
    ADD_FAILURE() << "the leaked tracking is reported";
  } catch (const EdxException& E) {
    EXPECT_EQ(E.Message(), L"MouseTrackingTimerList.Count <> 0");
  }
  EXPECT_TRUE(cxControlsFinalized());
  EXPECT_TRUE(panel->GetWindowProc() == ownWindowProc) << "the window-procedure chains were still freed";
  EXPECT_FALSE(cxIsMouseTracking(caller.get()));
  EXPECT_EQ(cxGetWindowProcController(), nullptr);
  EXPECT_EQ(cxGetSystemInfo(), nullptr);
  EXPECT_EQ(cxGetHiddenMessageWindow(), nullptr);
  EXPECT_EQ(cxGetMessagesController(), nullptr);
  EXPECT_EQ(cxGetMouseTrackingTimerList(), nullptr);
  cxBeginMouseTracking(nullptr, {0, 0, 1, 1}, caller.get());
  EXPECT_FALSE(cxIsMouseTracking(caller.get())) << "no tracking starts after the shut-down";

  unit_cxControls.initialization();
  EXPECT_FALSE(cxControlsFinalized());
  EXPECT_NE(cxGetWindowProcController(), nullptr);
  EXPECT_NE(cxGetMouseTrackingTimerList(), nullptr);
}

TEST(dxDWMApi, BindsOnlyFromWindowsSixOn)
{
  const bool wasBound = cxIsDWMAvailable();
  dxDWMApiUnbind();
  dxDWMApiBind(5);
  EXPECT_FALSE(cxIsDWMAvailable());
  EXPECT_FALSE(cxIsCompositionEnabled());
  EXPECT_EQ(dxDWMApi().DwmIsCompositionEnabled, nullptr);
  dxDWMApiBind(10);
  EXPECT_EQ(cxIsDWMAvailable(), GetModuleHandleW(L"dwmapi.dll") != nullptr);
  if (cxIsDWMAvailable()) {
    BOOL enabled = FALSE;
    ASSERT_NE(dxDWMApi().DwmIsCompositionEnabled, nullptr);
    dxDWMApi().DwmIsCompositionEnabled(&enabled);
    EXPECT_EQ(cxIsCompositionEnabled(), enabled != FALSE);
  }
  EXPECT_EQ(cxIsDWMAvailable(), wasBound);
}

}  // namespace
