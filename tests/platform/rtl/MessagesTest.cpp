#include "platform/rtl/Messages.h"

#include <gtest/gtest.h>

using namespace rtl;

// Other windows and stored hooks compare these numbers; each one pinned here
// is quoted by a caller.
TEST(Messages, NumbersOtherCodeComparesAreFixed)
{
  const struct {
    UINT Value;
    UINT Expected;
  } cases[] = {
      {CM_ACTIVATE, 0xB000},       {CM_DEACTIVATE, 0xB001},     {CM_FOCUSCHANGED, 0xB007},
      {CM_PARENTFONTCHANGED, 0xB008}, {CM_COLORCHANGED, 0xB00D}, {CM_TEXTCHANGED, 0xB012},
      {CM_MOUSELEAVE, 0xB014},     {CM_SHOWINGCHANGED, 0xB019}, {CM_ENTER, 0xB01A},
      {CM_EXIT, 0xB01B},           {CM_SYSCOLORCHANGE, 0xB024}, {CM_WININICHANGE, 0xB025},
      {CM_RECREATEWND, 0xB033},    {CM_BIDIMODECHANGED, 0xB03C}, {CM_PARENTBIDIMODECHANGED, 0xB03D},
      {CM_MOUSEWHEEL, 0xB043},     {CM_GESTURE, 0xB052},        {CM_GESTUREMANAGERCHANGED, 0xB054},
      {CN_KEYDOWN, 0xBD00},        {CN_CHAR, 0xBD02},           {CN_SYSKEYDOWN, 0xBD04},
      {CN_COMMAND, 0xBD11},        {CN_CTLCOLOREDIT, 0xBD33},   {CN_DRAWITEM, 0xBC2B},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.Value, c.Expected) << std::hex << c.Expected;
}
