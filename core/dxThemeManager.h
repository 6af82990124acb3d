// Theme handles shared by the whole program, and theme-change listeners:
// - one cached theme handle per kind of themed object, opened on demand;
// - whether themes are active, read at start-up and at each change;
// - TdxThemeChangedNotificator, told when the theme or the system colours
//   change.
//
// User-interface thread only. Without the visual-styles library every query
// answers False or 0 and no notificator is ever called.
#pragma once

#include <windows.h>
#include <uxtheme.h>

#include "platform/rtl/System.h"
#include "platform/rtl/SystemEvents.h"
#include "platform/rtl/SystemTypes.h"
#include "platform/rtl/SystemUnits.h"

RTL_DECLARE_UNIT(dxThemeManager);

RTL_ENUM(TdxThemedObjectType, totButton, totClock, totComboBox, totEdit, totExplorerBar, totHeader, totListBox,
         totListView, totMenu, totPage, totProgress, totRebar, totScrollBar, totSpin, totStartPanel, totStatus,
         totTab, totTaskBand, totTaskBar, totToolBar, totToolTip, totTrackBar, totTrayNotify, totTreeView,
         totWindow, totNavigation, totExplorerListView, totTextStyle);
using TdxThemedObjectTypes = rtl::TSet<TdxThemedObjectType>;

// Themes are active and the library loaded; with kinds given, each of them
// must also open (tested in kind order, stopping at the first failure).
bool dxThemesAvailable(TdxThemedObjectTypes AKinds = {});
bool dxThemeClassAvailable(TdxThemedObjectType AKind);

// The cached handle of the kind, opened on first need with AClassList, else
// with the list the kind was last opened with, else with its default list.
// A different AClassList (compared ignoring case) reopens the kind. 0 when
// themes are not available or the list does not open.
HTHEME dxOpenTheme(TdxThemedObjectType AKind, const wchar_t* AClassList = nullptr);
// S_FALSE when themes are not available, S_OK when the kind is not open,
// else what CloseThemeData answers; the kind forgets its class list.
HRESULT dxCloseThemeOf(TdxThemedObjectType AKind);
// Closes every cached handle; the kinds keep their class lists.
void dxCloseAllThemes();

// The current visual style is one of XP's two own (Luna or Royale).
bool dxIsClassicXPVisualStyle();
bool dxSameTextUpper(const rtl::String& A, const rtl::String& B);

using TdxThemeChangedEvent = rtl::TNotifyEvent;

class TdxThemeChangedEventReceiver;

// A listener told, on the user-interface thread, after the theme or the
// system colours have changed and the cached handles are closed.
class TdxThemeChangedNotificator : public rtl::TObject {
  RTL_CLASS(TdxThemeChangedNotificator, rtl::TObject)

 public:
  void Create();
  void Destroy() override;

  TdxThemeChangedEvent GetOnThemeChanged() const { return FOnThemeChanged; }
  void SetOnThemeChanged(TdxThemeChangedEvent AValue) { FOnThemeChanged = AValue; }

  friend class TdxThemeChangedEventReceiver;

 protected:
  // Called by the change notification; calls OnThemeChanged.
  virtual void DoThemeChanged();

 private:
  TdxThemeChangedEvent FOnThemeChanged;
};
