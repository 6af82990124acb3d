// The system's controls take either the framework's TPopupMenu or any
// component implementing IcxPopupMenu (the bar manager's popup menus) where
// a context or drop-down menu is wanted. These routines hide the
// difference: test a component, route short cuts to it, show it at a point
// or drop it down from a button, opening above the button when the menu
// would leave the work area.
#pragma once

#include <windows.h>

#include "core/dxTypeHelpers.h"
#include "platform/rtl/ClassesComponents.h"
#include "platform/rtl/System.h"
#include "platform/vcl/ControlsMessages.h"
#include "platform/vcl/Menus.h"

struct IcxPopupMenu : rtl::IInterface {
  RTL_GUID(IcxPopupMenu, "{61EEDA7D-88CC-45BF-8A00-5C25174D6501}")
  virtual bool __stdcall IsShortCut(vcl::TWMKey& AMessage) = 0;
  // Screen coordinates.
  virtual void __stdcall Popup(int X, int Y) = 0;
};

struct IcxPopupMenu2 : IcxPopupMenu {
  RTL_GUID(IcxPopupMenu2, "{E6DC09CE-3252-457B-B6D2-09D8335C2DED}")
  virtual void __stdcall PopupFromButton(int X, int Y, vcl::TPopupAlignment AAlignment, const TRect& AButtonRect) = 0;
};

// A TPopupMenu, or an object supporting IcxPopupMenu.
bool cxIsPopupMenu(rtl::TComponent* AComponent);
bool cxPopupMenuIsShortCut(rtl::TComponent* AComponent, vcl::TWMKey& AMessage);
// AComponent is the menu's PopupComponent; X, Y in screen coordinates. A
// TPopupMenu without AutoPopup is not shown. Whether a menu was shown.
bool cxShowPopupMenu(rtl::TComponent* AComponent, rtl::TComponent* AMenu, int X, int Y);
bool cxShowPopupMenuAtPoint(rtl::TComponent* AComponent, rtl::TComponent* AMenu, const TPoint& P);
// Drops the menu down from AButtonRect (screen coordinates) with
// AAlignment, mirrored for a right-to-left application; a TPopupMenu's own
// Alignment is the same afterwards.
bool cxShowDropDownMenu(rtl::TComponent* AComponent, rtl::TComponent* AMenu, const TRect& AButtonRect,
                        vcl::TPopupAlignment AAlignment);
// Where the drop-down opens: below the button's left, right or centre.
TPoint cxGetDropDownMenuPoint(const TRect& AButtonRect, vcl::TPopupAlignment AAlignment, bool ARightToLeft);
// The height a TPopupMenu will have on screen, estimated from its visible
// items in the screen's menu font.
int cxEstimatePopupMenuHeight(vcl::TPopupMenu* AMenu);
