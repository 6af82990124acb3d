#include "controls/cxWindowUtils.h"

#include <gtest/gtest.h>

#include "platform/vcl/Controls.h"
#include "tests/controls/ControlsTestSupport.h"
#include "tests/support/TestHost.h"

namespace {

TEST(cxWindowUtils, SpecialVirtualKeys)
{
  struct {
    WORD Key;
    bool Special;
  } const cases[] = {
      {VK_CANCEL, true}, {VK_TAB, true},   {VK_RETURN, true}, {VK_SHIFT, true},  {VK_ESCAPE, true},
      {VK_PRIOR, true},  {VK_DELETE, true}, {VK_F1, true},     {VK_F24, true},    {VK_NUMLOCK, true},
      {VK_LSHIFT, true}, {VK_RMENU, true},  {229, true},       {246, true},       {254, true},
      {'A', false},      {'Z', false},      {'0', false},      {'9', false},      {VK_SPACE, false},
      {VK_OEM_1, false}, {255, false},      {256, false},      {0, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(cxIsSpecialVirtualKey(c.Key), c.Special) << c.Key;
}

TEST(cxWindowUtils, ShiftStates)
{
  using enum vcl::TShiftStateItem;
  EXPECT_EQ(cxShiftStateToMouseKeyFlags({ssShift, ssCtrl, ssLeft, ssRight, ssMiddle, ssAlt, ssDouble}), 1 | 2 | 4 | 8 | 16);
  EXPECT_EQ(cxShiftStateToMouseKeyFlags({ssAlt, ssDouble}), 0);
  EXPECT_TRUE(cxNoKeysOrButtonsInShift({ssTouch}));
  EXPECT_FALSE(cxNoKeysOrButtonsInShift({ssDouble}));
  struct {
    vcl::TShiftState Shift;
    bool AllowDouble, Expected;
  } const cases[] = {
      {{ssLeft}, false, true},          {{ssLeft, ssDouble}, true, true}, {{ssLeft, ssDouble}, false, false},
      {{ssLeft, ssShift}, true, false}, {{ssRight}, true, false},         {{}, true, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(cxIsLeftButtonOnlyShift(c.Shift, c.AllowDouble), c.Expected);
}

TEST(cxWindowUtils, FitsRectanglesIntoTheWorkArea)
{
  const TRect area = cxGetWorkAreaAtPoint({10, 10});
  const int width = area.right - area.left;
  struct {
    TRect Rect, Expected;
  } const cases[] = {
      {{area.left + 10, area.top + 10, area.left + 110, area.top + 60},
       {area.left + 10, area.top + 10, area.left + 110, area.top + 60}},
      {{area.right - 50, area.bottom - 20, area.right + 50, area.bottom + 30},
       {area.right - 100, area.bottom - 50, area.right, area.bottom}},
      {{area.left - 30, area.top - 5, area.left + 20, area.top + 5}, {area.left, area.top, area.left + 50, area.top + 10}},
      // Wider than the area: its left edge goes to the area's left edge.
      {{area.left + 40, area.top, area.left + 40 + width + 100, area.top + 10},
       {area.left, area.top, area.left + width + 100, area.top + 10}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(cxFitRectToWorkArea(c.Rect, {10, 10}), c.Expected);
}

TEST(cxWindowUtils, ComponentPathSkipsUnnamedOwners)
{
  rtl::TOwnedPtr<rtl::TComponent> form(rtl::New<rtl::TComponent>(nullptr));
  form->SetName(L"Form1");
  auto* frame = rtl::New<rtl::TComponent>(form.get());
  auto* edit = rtl::New<rtl::TComponent>(frame);
  edit->SetName(L"Edit1");
  EXPECT_EQ(cxGetComponentPath(edit), L"Form1.Edit1");
  EXPECT_EQ(cxGetComponentPath(nullptr), L"");
  EXPECT_EQ(cxFindOwnedComponent(form.get(), rtl::TComponent::StaticClass()), frame);
  EXPECT_EQ(cxFindOwnedComponent(edit, rtl::TComponent::StaticClass()), nullptr);
}

class cxWindowUtilsHostedTest : public kvtest::THostedTest {};

TEST_F(cxWindowUtilsHostedTest, WindowRelationsAndStates)
{
  auto* outer = AddChild<kvtest::TTestPanel>({10, 10, 210, 210});
  auto* inner = rtl::New<kvtest::TTestPanel>(FHost.get());
  inner->SetBoundsRect({20, 20, 120, 120});
  inner->SetParent(outer);
  const HWND host = FHost->GetHandle();
  const HWND wnd = inner->GetHandle();

  EXPECT_TRUE(cxIsWindowOfCurrentProcess(wnd));
  EXPECT_FALSE(cxIsWindowOfCurrentProcess(nullptr));
  EXPECT_TRUE(cxIsSameOrChildWindow(host, wnd));
  EXPECT_TRUE(cxIsSameOrChildWindow(wnd, wnd));
  EXPECT_FALSE(cxIsSameOrChildWindow(wnd, host));
  EXPECT_FALSE(cxIsSameOrChildWindow(nullptr, wnd));
  EXPECT_TRUE(cxIsAncestorWindow(host, wnd));
  EXPECT_FALSE(cxIsAncestorWindow(wnd, wnd));
  EXPECT_TRUE(cxControlHasParent(FHost.get(), inner));
  EXPECT_FALSE(cxControlHasParent(inner, outer));
  EXPECT_EQ(cxFindControlByWindow(wnd), inner);
  EXPECT_EQ(cxFindParentControlByWindow(wnd), inner);

  EXPECT_TRUE(cxIsWindowEnabledWithParents(wnd));
  EnableWindow(outer->GetHandle(), FALSE);
  EXPECT_FALSE(cxIsWindowEnabledWithParents(wnd)) << "a disabled parent of a child window";
  EnableWindow(outer->GetHandle(), TRUE);

  cxModifyWindowLong(wnd, 1, WS_EX_LAYOUTRTL, TcxWindowLongMode::Include);
  EXPECT_TRUE(cxIsWindowLayoutRTL(wnd));
  cxModifyWindowLong(wnd, 1, WS_EX_LAYOUTRTL, TcxWindowLongMode::Exclude);
  EXPECT_FALSE(cxIsWindowLayoutRTL(wnd));
  EXPECT_TRUE(cxIsChildStyleWindow(wnd));
  EXPECT_FALSE(cxIsChildStyleWindow(host));

  // The host has no frame: windows and clients coincide.
  const TPoint screen = cxClientToScreenPoint(wnd, {5, 6});
  EXPECT_EQ(screen, (TPoint{10 + 10 + 20 + 5, 10 + 10 + 20 + 6}));
  EXPECT_EQ(cxMapWindowPoint(wnd, host, {5, 6}), (TPoint{35, 36}));
  EXPECT_EQ(cxMapWindowRect(wnd, nullptr, {0, 0, 10, 10}), (TRect{40, 40, 50, 50}));
  EXPECT_EQ(cxGetWindowSizeRect(wnd), (TRect{0, 0, 100, 100}));
  EXPECT_EQ(cxGetWindowClientRect(nullptr), (TRect{}));
  EXPECT_EQ(cxGetClientOriginInWindow(wnd), (TPoint{0, 0}));
  cxModifyWindowLong(wnd, 1, WS_EX_LAYOUTRTL, TcxWindowLongMode::Include);
  EXPECT_EQ(cxGetClientOriginInWindow(wnd), (TPoint{0, 0})) << "measured from the right edge";
  cxModifyWindowLong(wnd, 1, WS_EX_LAYOUTRTL, TcxWindowLongMode::Exclude);
  EXPECT_EQ(cxFindDeepestChildWindow(host, screen), wnd);
}

}  // namespace
