// The window (system) menu of a form that draws its own caption: built from
// the window system's templates, its commands enabled and its default item
// chosen from the window's style and state, commands a dialog must not
// offer removed, and the items of one menu copied into another.
#pragma once

#include <windows.h>

#include "platform/vcl/Forms.h"

// The template of the system menu (AIndex 0), the MDI child's (1) or the
// tool window's (2), with the standard pictures of its commands; nil when
// none can be loaded. Where the window system has no template under the
// numeric id (Wine names its menus instead), the named one stands in. The
// caller owns the menu.
HMENU cxLoadSystemMenuTemplate(int AIndex);
// Enables or greys SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE, SC_SIZE and SC_MOVE
// by the window's style and iconic and zoomed states, and makes SC_RESTORE
// (iconic) or SC_CLOSE the default item.
void cxUpdateSystemMenuStates(HWND AWnd, HMENU AMenu);
// Only with biSystemMenu: a dialog loses the task list, the two separators
// and the maximise, minimise, size and restore commands; then the states
// are updated. ALockUpdate keeps the window from drawing meanwhile.
// AWindowState is not used.
void cxAdjustSkinnedSystemMenu(HMENU ASysMenu, HWND AWnd, bool AIsDialog, vcl::TBorderIcons ABorderIcons,
                               vcl::TWindowState AWindowState, bool ALockUpdate);
// ADest becomes a copy of ASource's items; nothing when they are the same
// menu or either is none.
void cxCopyMenuItems(HMENU ASource, HMENU ADest);
// The window is narrower or lower than the work area of its monitor.
bool cxIsWindowSmallerThanWorkArea(HWND AWnd);
