#include "platform/vcl/ControlsMessages.h"

using enum vcl::TShiftStateItem;

namespace vcl {

TShiftState KeysToShiftState(WORD AKeys)
{
  TShiftState result;
  if (AKeys & MK_SHIFT)
    result.Include(ssShift);
  if (AKeys & MK_CONTROL)
    result.Include(ssCtrl);
  if (AKeys & MK_LBUTTON)
    result.Include(ssLeft);
  if (AKeys & MK_RBUTTON)
    result.Include(ssRight);
  if (AKeys & MK_MBUTTON)
    result.Include(ssMiddle);
  // Mouse messages carry no Alt flag: it is read from the key state.
  if (GetKeyState(VK_MENU) < 0)
    result.Include(ssAlt);
  return result;
}

TShiftState KeyDataToShiftState(LPARAM AKeyData)
{
  // Bit 29 of a key message's data is the context code: Alt was down.
  constexpr LPARAM kAltMask = 0x20000000;
  TShiftState result;
  if (GetKeyState(VK_SHIFT) < 0)
    result.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0)
    result.Include(ssCtrl);
  if (AKeyData & kAltMask)
    result.Include(ssAlt);
  return result;
}

TShiftState KeyboardStateToShiftState(const BYTE (&AKeyboardState)[256])
{
  constexpr struct {
    int Key;
    TShiftStateItem Item;
  } keys[] = {{VK_SHIFT, ssShift}, {VK_CONTROL, ssCtrl},  {VK_MENU, ssAlt},
              {VK_LBUTTON, ssLeft}, {VK_RBUTTON, ssRight}, {VK_MBUTTON, ssMiddle}};
  TShiftState result;
  for (const auto& key : keys)
    if (AKeyboardState[key.Key] & 0x80)
      result.Include(key.Item);
  return result;
}

TShiftState KeyboardStateToShiftState()
{
  BYTE state[256]{};
  if (!GetKeyboardState(state))
    return {};
  return KeyboardStateToShiftState(state);
}

}  // namespace vcl
