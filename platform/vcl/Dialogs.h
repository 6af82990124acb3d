// The Dialogs unit:
//   TCommonDialog, TOpenDialog, TSaveDialog over the system's file dialogs
//   MessageDlg, the message dialog: a window of class "TMessageForm" with an
//     icon, the text and a row of buttons, shown modally
//   TModalResult and its values
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "platform/rtl/ClassesComponents.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemTypes.h"
#include "platform/rtl/TypInfo.h"
#include "platform/vcl/Forms.h"

namespace vcl {

using rtl::String;

// ---------------------------------------------------------------------------
// File dialogs

RTL_ENUM(TOpenOption, ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
         ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware,
         ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog,
         ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing, ofDontAddToRecent, ofForceShowHidden);
using TOpenOptions = rtl::TSet<TOpenOption>;

class TCommonDialog : public rtl::TComponent {
  RTL_CLASS(TCommonDialog, rtl::TComponent)

 public:
  // Shows the dialog modally; true when the user confirmed.
  virtual bool Execute() = 0;

 protected:
  // The window the dialog belongs to: the owner's window when the owner is
  // a control with one, else the thread's active window.
  HWND OwnerWindow();
};

// The open dialog. Filter is "Description|*.ext;*.ext2|Description|..."
// pairs; FilterIndex counts from 1. DefaultExt is appended to a typed name
// without extension; a leading "*." or "." is dropped when it is handed to
// Windows, which would otherwise append the asterisk and dot as well.
class TOpenDialog : public TCommonDialog {
  RTL_CLASS(TOpenDialog, TCommonDialog)
  RTL_PUBLISHED(RTL_PROPERTY(DefaultExt, GetDefaultExt, SetDefaultExt),
                RTL_PROPERTY(FileName, GetFileName, SetFileName),
                RTL_PROPERTY(Filter, GetFilter, SetFilter),
                RTL_PROPERTY(FilterIndex, GetFilterIndex, SetFilterIndex, RTL_DEFAULT(1)),
                RTL_PROPERTY(InitialDir, GetInitialDir, SetInitialDir),
                RTL_PROPERTY(Options, GetOptions, SetOptions,
                             RTL_DEFAULT(TOpenOptions{TOpenOption::ofHideReadOnly, TOpenOption::ofEnableSizing})),
                RTL_PROPERTY(Title, GetTitle, SetTitle))

 public:
  void Create(rtl::TComponent* AOwner) override;
  bool Execute() override;

  const String& GetDefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const String& AValue) { FDefaultExt = AValue; }
  const String& GetFileName() const { return FFileName; }
  void SetFileName(const String& AValue) { FFileName = AValue; }
  const String& GetFilter() const { return FFilter; }
  void SetFilter(const String& AValue) { FFilter = AValue; }
  int GetFilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(int AValue) { FFilterIndex = AValue; }
  const String& GetInitialDir() const { return FInitialDir; }
  void SetInitialDir(const String& AValue) { FInitialDir = AValue; }
  TOpenOptions GetOptions() const { return FOptions; }
  void SetOptions(TOpenOptions AValue) { FOptions = AValue; }
  const String& GetTitle() const { return FTitle; }
  void SetTitle(const String& AValue) { FTitle = AValue; }

 protected:
  // Fills the record from the properties, runs the dialog through
  // RunDialog and takes the chosen name, filter index and the read-only and
  // extension flags back.
  bool DoExecute();
  // The one call into Windows: GetOpenFileNameW here. Tests replace it to
  // inspect the record and answer for the user.
  virtual BOOL RunDialog(OPENFILENAMEW& AInfo);

 private:
  String FDefaultExt;
  String FFileName;
  String FFilter;
  String FInitialDir;
  String FTitle;
  int FFilterIndex;
  TOpenOptions FOptions;
};

// The save dialog: the open dialog's properties over GetSaveFileNameW.
class TSaveDialog : public TOpenDialog {
  RTL_CLASS(TSaveDialog, TOpenDialog)

 protected:
  BOOL RunDialog(OPENFILENAMEW& AInfo) override;
};

// The filter text as OPENFILENAME wants it: each "|" a zero, two zeros at
// the end. An empty filter gives an empty list (two zeros).
String FilterForDialog(const String& AFilter);
// DefaultExt without a leading "*." or ".".
String ExtensionForDialog(const String& ADefaultExt);

// ---------------------------------------------------------------------------
// The message dialog

RTL_ENUM(TMsgDlgType, mtWarning, mtError, mtInformation, mtConfirmation, mtCustom);
RTL_ENUM(TMsgDlgBtn, mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp,
         mbClose);
using TMsgDlgButtons = rtl::TSet<TMsgDlgBtn>;

// Shows AMsg modally in a window of class "TMessageForm" captioned after the
// type ("Error", ...; the program's name for mtCustom), centred on the
// screen's work area, and answers the modal result of the button pressed;
// closing the window, or its going with its owner, answers mrCancel. Enter
// presses the default button (OK, else Yes, else the first); Escape the
// cancel button (Cancel, else No, else OK). The help context is accepted and unused: the program has no
// help file. Other top-level windows of the thread are disabled meanwhile.
TModalResult MessageDlg(const String& AMsg, TMsgDlgType ADlgType, TMsgDlgButtons AButtons, int AHelpCtx);

}  // namespace vcl
