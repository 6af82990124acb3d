#include "controls/cxSystemMenu.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

bool IsGrayed(HMENU AMenu, UINT ACommand)
{
  return (GetMenuState(AMenu, ACommand, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

class cxSystemMenuTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    FMenu = cxLoadSystemMenuTemplate(0);
    ASSERT_NE(FMenu, nullptr) << "by id, or by the name Wine gives it";
  }
  void TearDown() override
  {
    DestroyMenu(FMenu);
    if (FWnd)
      DestroyWindow(FWnd);
  }
  HWND MakeWindow(DWORD AStyle)
  {
    FWnd = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", AStyle, 0, 0, 100, 80, nullptr, nullptr, nullptr,
                           nullptr);
    return FWnd;
  }

  HMENU FMenu = nullptr;
  HWND FWnd = nullptr;
};

TEST_F(cxSystemMenuTest, TemplatesHaveTheStandardCommands)
{
  for (const UINT command : {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE})
    EXPECT_NE(GetMenuState(FMenu, command, MF_BYCOMMAND), UINT(-1)) << command;
  for (int index = 1; index <= 2; ++index) {
    HMENU menu = cxLoadSystemMenuTemplate(index);
    EXPECT_NE(menu, nullptr) << index;
    DestroyMenu(menu);
  }
  EXPECT_EQ(cxLoadSystemMenuTemplate(3), nullptr);
}

TEST_F(cxSystemMenuTest, StatesFollowTheWindow)
{
  // Each state is a window of its own, made with the state's style bit: a
  // display without a window manager need not minimise a window on request,
  // nor take the bit back.
  const auto update = [this](LONG AState) {
    const HWND wnd = MakeWindow(WS_OVERLAPPEDWINDOW);
    SetWindowLongW(wnd, GWL_STYLE, GetWindowLongW(wnd, GWL_STYLE) | AState);
    cxUpdateSystemMenuStates(wnd, FMenu);
    const bool smaller = cxIsWindowSmallerThanWorkArea(wnd);
    DestroyWindow(std::exchange(FWnd, nullptr));
    return smaller;
  };
  const bool smaller = update(WS_MAXIMIZE);
  EXPECT_TRUE(IsGrayed(FMenu, SC_MAXIMIZE));
  EXPECT_TRUE(IsGrayed(FMenu, SC_SIZE));
  EXPECT_EQ(IsGrayed(FMenu, SC_MOVE), !smaller) << "a zoomed top-level window moves only when smaller";
  EXPECT_FALSE(IsGrayed(FMenu, SC_RESTORE));
  EXPECT_EQ(GetMenuDefaultItem(FMenu, FALSE, 0), SC_CLOSE);

  update(WS_MINIMIZE);
  EXPECT_TRUE(IsGrayed(FMenu, SC_MINIMIZE));
  EXPECT_FALSE(IsGrayed(FMenu, SC_RESTORE));
  EXPECT_EQ(GetMenuDefaultItem(FMenu, FALSE, 0), SC_RESTORE);

  update(0);
  EXPECT_TRUE(IsGrayed(FMenu, SC_RESTORE));
  EXPECT_FALSE(IsGrayed(FMenu, SC_SIZE));
  EXPECT_FALSE(IsGrayed(FMenu, SC_MOVE));
  EXPECT_FALSE(IsGrayed(FMenu, SC_MAXIMIZE));
}

TEST_F(cxSystemMenuTest, ADialogKeepsOnlyMoveAndClose)
{
  const HWND wnd = MakeWindow(WS_POPUP | WS_CAPTION | WS_SYSMENU);
  cxAdjustSkinnedSystemMenu(FMenu, wnd, true, {vcl::TBorderIcon::biSystemMenu}, vcl::TWindowState::wsNormal, true);
  for (const UINT command : {SC_MAXIMIZE, SC_MINIMIZE, SC_SIZE, SC_RESTORE, SC_TASKLIST})
    EXPECT_EQ(GetMenuState(FMenu, command, MF_BYCOMMAND), UINT(-1)) << command;
  EXPECT_NE(GetMenuState(FMenu, SC_MOVE, MF_BYCOMMAND), UINT(-1));
  EXPECT_NE(GetMenuState(FMenu, SC_CLOSE, MF_BYCOMMAND), UINT(-1));

  HMENU untouched = cxLoadSystemMenuTemplate(0);
  const int count = GetMenuItemCount(untouched);
  cxAdjustSkinnedSystemMenu(untouched, wnd, true, {}, vcl::TWindowState::wsNormal, false);
  EXPECT_EQ(GetMenuItemCount(untouched), count) << "without biSystemMenu nothing changes";
  DestroyMenu(untouched);
}

TEST_F(cxSystemMenuTest, CopiesItemsIntoAnotherMenu)
{
  HMENU copy = CreatePopupMenu();
  AppendMenuW(copy, MF_STRING, 1, L"Old");
  cxCopyMenuItems(FMenu, copy);
  ASSERT_EQ(GetMenuItemCount(copy), GetMenuItemCount(FMenu));
  for (int i = 0; i < GetMenuItemCount(FMenu); ++i) {
    EXPECT_EQ(GetMenuItemID(copy, i), GetMenuItemID(FMenu, i)) << i;
    wchar_t source[64] = {}, copied[64] = {};
    GetMenuStringW(FMenu, static_cast<UINT>(i), source, 64, MF_BYPOSITION);
    GetMenuStringW(copy, static_cast<UINT>(i), copied, 64, MF_BYPOSITION);
    EXPECT_STREQ(copied, source) << i;
  }
  const int count = GetMenuItemCount(FMenu);
  cxCopyMenuItems(FMenu, FMenu);
  EXPECT_EQ(GetMenuItemCount(FMenu), count) << "a menu copied onto itself stays";
  cxCopyMenuItems(FMenu, nullptr);
  DestroyMenu(copy);
}

}  // namespace
