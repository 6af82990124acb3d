#include <gtest/gtest.h>

#include "platform/vcl/ControlsMessages.h"

using enum vcl::TAlign;
using enum vcl::TAnchorKind;
using enum vcl::TShiftStateItem;

namespace vcl {
namespace {

// Each record reads the fields of a real message the way Windows packs them.
TEST(ControlsMessages, RecordsDecodeThePackedParameters)
{
  TMessage mouse{WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(static_cast<WORD>(-5), 300), 0};
  const TWMMouse& m = MessageAs<TWMMouse>(mouse);
  EXPECT_EQ(m.Keys, static_cast<WPARAM>(MK_LBUTTON | MK_SHIFT));
  EXPECT_EQ(m.XPos, -5);
  EXPECT_EQ(m.YPos, 300);
  EXPECT_EQ(m.Pos().x, -5);

  TMessage wheel{WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-240)), MAKELPARAM(10, 20), 0};
  const TWMMouseWheel& w = MessageAs<TWMMouseWheel>(wheel);
  EXPECT_EQ(w.Keys, MK_CONTROL);
  EXPECT_EQ(w.WheelDelta, -240);
  EXPECT_EQ(w.YPos, 20);

  TMessage command{WM_COMMAND, MAKEWPARAM(42, BN_CLICKED), reinterpret_cast<LPARAM>(HWND(0x1234)), 0};
  const TWMCommand& c = MessageAs<TWMCommand>(command);
  EXPECT_EQ(c.ItemID, 42);
  EXPECT_EQ(c.NotifyCode, BN_CLICKED);
  EXPECT_EQ(c.Ctl, HWND(0x1234));

  TMessage size{WM_SIZE, SIZE_RESTORED, MAKELPARAM(640, 480), 0};
  EXPECT_EQ(MessageAs<TWMSize>(size).Width, 640);
  EXPECT_EQ(MessageAs<TWMSize>(size).Height, 480);

  TMessage key{WM_KEYDOWN, VK_RETURN, 0x001C0001, 0};
  EXPECT_EQ(MessageAs<TWMKey>(key).CharCode, VK_RETURN);
  EXPECT_EQ(MessageAs<TWMKey>(key).KeyData, 0x001C0001);

  TMessage scroll{WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 77), 0, 0};
  EXPECT_EQ(MessageAs<TWMScroll>(scroll).ScrollCode, SB_THUMBTRACK);
  EXPECT_EQ(MessageAs<TWMScroll>(scroll).Pos, 77);

  TMessage setCursor{WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), 0};
  EXPECT_EQ(MessageAs<TWMSetCursor>(setCursor).HitTest, HTCLIENT);
  EXPECT_EQ(MessageAs<TWMSetCursor>(setCursor).MouseMsg, WM_MOUSEMOVE);

  // Writing the record's result is writing the message's.
  MessageAs<TWMCommand>(command).Result = 7;
  EXPECT_EQ(command.Result, 7);
}

TEST(ControlsMessages, ShiftStatesFromMouseKeysAndKeyData)
{
  const struct {
    WORD Keys;
    TShiftState Expected;
  } mouseCases[] = {
      {0, {}},
      {MK_LBUTTON, {ssLeft}},
      {MK_RBUTTON | MK_SHIFT, {ssRight, ssShift}},
      {MK_MBUTTON | MK_CONTROL, {ssMiddle, ssCtrl}},
  };
  for (const auto& c : mouseCases)
    EXPECT_EQ(KeysToShiftState(c.Keys) - TShiftState{ssAlt}, c.Expected) << c.Keys;

  // The Alt bit of the key data; Shift and Ctrl come from the key state,
  // which is up in the test process.
  EXPECT_TRUE(KeyDataToShiftState(0x20000000).Contains(ssAlt));
  EXPECT_FALSE(KeyDataToShiftState(0).Contains(ssAlt));

  BYTE state[256]{};
  state[VK_CONTROL] = 0x80;
  state[VK_LBUTTON] = 0x81;
  state[VK_SHIFT] = 0x01;  // toggled, not down
  EXPECT_EQ(KeyboardStateToShiftState(state), (TShiftState{ssCtrl, ssLeft}));
}

TEST(ControlsMessages, SetsKeepTheStoredLayoutOfTheirMembers)
{
  // Form files store anchors and align as identifiers; the ordinals pin the
  // order of the names.
  EXPECT_EQ((TAnchors{akLeft, akTop}).ToOrd(), 3u);
  EXPECT_EQ(rtl::SetToString(TAnchors{akRight, akBottom}), L"[akRight,akBottom]");
  EXPECT_EQ(rtl::GetEnumName(alClient), L"alClient");
}

}  // namespace
}  // namespace vcl
