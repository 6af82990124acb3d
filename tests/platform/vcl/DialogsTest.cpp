#include <gtest/gtest.h>

#include <vector>

#include "platform/vcl/Dialogs.h"

using enum vcl::TMsgDlgBtn;
using enum vcl::TMsgDlgType;
using enum vcl::TOpenOption;

namespace vcl {
namespace {

// A text with zeros inside, as its literal spells it.
template <std::size_t N>
String Zeroed(const wchar_t (&AText)[N])
{
  return String(AText, N - 1);
}

// ---------------------------------------------------------------------------
// File dialogs, driven through their one call into Windows

// What the dialog handed to Windows, and what the "user" answers.
struct TFileDialogCall {
  String Filter;  // with the zeros, up to and including the final two
  String DefExt;
  String FileName;
  String InitialDir;
  String Title;
  DWORD Flags = 0;
  DWORD FilterIndex = 0;
  int Calls = 0;
};

class TDialogsTestSaveDialog : public TSaveDialog {
  RTL_CLASS(TDialogsTestSaveDialog, TSaveDialog)

 public:
  TFileDialogCall Call;
  bool Confirm = true;
  String Answer;
  DWORD AnswerFlags = 0;
  DWORD AnswerFilterIndex = 1;

 protected:
  BOOL RunDialog(OPENFILENAMEW& AInfo) override
  {
    ++Call.Calls;
    if (AInfo.lpstrFilter) {
      const wchar_t* end = AInfo.lpstrFilter;
      while (end[0] || end[1])
        ++end;
      Call.Filter.assign(AInfo.lpstrFilter, end + 2);
    }
    Call.DefExt = AInfo.lpstrDefExt ? AInfo.lpstrDefExt : L"<nil>";
    Call.FileName = AInfo.lpstrFile;
    Call.InitialDir = AInfo.lpstrInitialDir ? AInfo.lpstrInitialDir : L"<nil>";
    Call.Title = AInfo.lpstrTitle ? AInfo.lpstrTitle : L"<nil>";
    Call.Flags = AInfo.Flags;
    Call.FilterIndex = AInfo.nFilterIndex;
    if (!Confirm)
      return FALSE;
    EXPECT_LT(Answer.size(), AInfo.nMaxFile);
    wcscpy(AInfo.lpstrFile, Answer.c_str());
    AInfo.Flags |= AnswerFlags;
    AInfo.nFilterIndex = AnswerFilterIndex;
    return TRUE;
  }
};

TEST(DialogsFileDialog, MainWindowSaveHandsFilterAndExtensionToWindows)
{
  rtl::TOwnedPtr<TDialogsTestSaveDialog> dialog(rtl::New<TDialogsTestSaveDialog>(nullptr));
  dialog->SetDefaultExt(L"*.dart");
  dialog->SetFilter(L"Dart File|*.dart");
  dialog->SetFileName(L"company_model.dart");
  dialog->Answer = L"C:\\out\\company_model.dart";

  ASSERT_TRUE(dialog->Execute());
  EXPECT_EQ(dialog->Call.Filter, Zeroed(L"Dart File\0*.dart\0\0"));
  EXPECT_EQ(dialog->Call.DefExt, L"dart");
  EXPECT_EQ(dialog->Call.FileName, L"company_model.dart");
  EXPECT_EQ(dialog->Call.FilterIndex, 1u);
  EXPECT_EQ(dialog->GetFileName(), L"C:\\out\\company_model.dart");
  // The property keeps what was set; only Windows gets the bare extension.
  EXPECT_EQ(dialog->GetDefaultExt(), L"*.dart");
}

TEST(DialogsFileDialog, CancelKeepsTheProposal)
{
  rtl::TOwnedPtr<TDialogsTestSaveDialog> dialog(rtl::New<TDialogsTestSaveDialog>(nullptr));
  dialog->SetFileName(L"proposal.dart");
  dialog->Confirm = false;
  EXPECT_FALSE(dialog->Execute());
  EXPECT_EQ(dialog->Call.Calls, 1);
  EXPECT_EQ(dialog->GetFileName(), L"proposal.dart");
}

TEST(DialogsFileDialog, FilterAndExtensionConversions)
{
  struct Row {
    String Filter, Expected;
  };
  const Row filters[] = {
      {L"", Zeroed(L"\0\0")},
      {L"Dart File|*.dart", Zeroed(L"Dart File\0*.dart\0\0")},
      {L"Text|*.txt;*.log|All|*.*", Zeroed(L"Text\0*.txt;*.log\0All\0*.*\0\0")},
  };
  for (const Row& row : filters)
    EXPECT_EQ(FilterForDialog(row.Filter), row.Expected) << row.Filter.size();

  const Row extensions[] = {{L"*.dart", L"dart"}, {L".dart", L"dart"}, {L"dart", L"dart"}, {L"", L""},
                            {L"*.tar.gz", L"tar.gz"}};
  for (const Row& row : extensions)
    EXPECT_EQ(ExtensionForDialog(row.Filter), row.Expected);
}

TEST(DialogsFileDialog, PropertiesReachTheRecordAndResultsComeBack)
{
  rtl::TOwnedPtr<TDialogsTestSaveDialog> dialog(rtl::New<TDialogsTestSaveDialog>(nullptr));
  EXPECT_EQ(dialog->GetOptions(), (TOpenOptions{ofHideReadOnly, ofEnableSizing}));
  EXPECT_EQ(dialog->GetFilterIndex(), 1);
  dialog->SetOptions(dialog->GetOptions() + TOpenOptions{ofOverwritePrompt, ofPathMustExist});
  dialog->SetTitle(L"Save as");
  dialog->SetInitialDir(L"C:\\work");
  dialog->SetFilterIndex(2);
  dialog->Answer = L"C:\\work\\a.txt";
  dialog->AnswerFlags = OFN_EXTENSIONDIFFERENT;
  dialog->AnswerFilterIndex = 3;

  ASSERT_TRUE(dialog->Execute());
  EXPECT_EQ(dialog->Call.Flags, static_cast<DWORD>(OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING |
                                                   OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST));
  EXPECT_EQ(dialog->Call.Title, L"Save as");
  EXPECT_EQ(dialog->Call.InitialDir, L"C:\\work");
  EXPECT_EQ(dialog->Call.FilterIndex, 2u);
  EXPECT_EQ(dialog->Call.DefExt, L"<nil>");
  EXPECT_EQ(dialog->GetFilterIndex(), 3);
  EXPECT_TRUE(dialog->GetOptions().Contains(ofExtensionDifferent));
  EXPECT_FALSE(dialog->GetOptions().Contains(ofReadOnly));
}

TEST(DialogsFileDialog, OverlongProposalIsCutNotOverrun)
{
  rtl::TOwnedPtr<TDialogsTestSaveDialog> dialog(rtl::New<TDialogsTestSaveDialog>(nullptr));
  dialog->SetFileName(String(40000, L'x'));
  dialog->Confirm = false;
  dialog->Execute();
  EXPECT_LT(dialog->Call.FileName.size(), 40000u);
  EXPECT_GT(dialog->Call.FileName.size(), 1000u);
}

// ---------------------------------------------------------------------------
// The message dialog, answered by a thread timer that finds it and posts
// what a user would do

struct TMessageDialogSeen {
  String ClassName;
  String Caption;
  std::vector<String> Texts;  // the children's texts in creation order
  bool OwnerDisabled = false;
};

struct TMessageDialogScript {
  // What to do once the dialog is there: click the button of this caption,
  // press a key on the focused control, or close the window.
  String Click;
  WPARAM Key = 0;
  bool Close = false;
  String ClickAfter;  // a second click, posted after the first action
  HWND Owner = nullptr;
  TMessageDialogSeen Seen;
  bool Found = false;
};

TMessageDialogScript*& Script()
{
  static TMessageDialogScript* script = nullptr;
  return script;
}

String WindowText(HWND AWnd)
{
  wchar_t text[256] = {};
  GetWindowTextW(AWnd, text, 256);
  return text;
}

BOOL CALLBACK CollectChild(HWND AWnd, LPARAM) noexcept
{
  Script()->Seen.Texts.push_back(WindowText(AWnd));
  return TRUE;
}

BOOL CALLBACK ClickChild(HWND AWnd, LPARAM ACaption) noexcept
{
  if (WindowText(AWnd) == *reinterpret_cast<const String*>(ACaption)) {
    PostMessageW(AWnd, BM_CLICK, 0, 0);
    return FALSE;
  }
  return TRUE;
}

void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR ATimer, DWORD) noexcept
{
  TMessageDialogScript& script = *Script();
  HWND dialog = FindWindowW(L"TMessageForm", nullptr);
  if (!dialog)
    return;
  KillTimer(nullptr, ATimer);
  script.Found = true;
  wchar_t className[64] = {};
  GetClassNameW(dialog, className, 64);
  script.Seen.ClassName = className;
  script.Seen.Caption = WindowText(dialog);
  EnumChildWindows(dialog, &CollectChild, 0);
  script.Seen.OwnerDisabled = script.Owner && !IsWindowEnabled(script.Owner);
  if (!script.Click.empty())
    EnumChildWindows(dialog, &ClickChild, reinterpret_cast<LPARAM>(&script.Click));
  if (script.Key) {
    PostMessageW(GetFocus(), WM_KEYDOWN, script.Key, 1);
    PostMessageW(GetFocus(), WM_KEYUP, script.Key, 0xC0000001);
  }
  if (script.Close)
    PostMessageW(dialog, WM_CLOSE, 0, 0);
  if (!script.ClickAfter.empty())
    EnumChildWindows(dialog, &ClickChild, reinterpret_cast<LPARAM>(&script.ClickAfter));
}

TModalResult RunMessageDlg(TMessageDialogScript& AScript, const String& AMsg, TMsgDlgType AType,
                           TMsgDlgButtons AButtons)
{
  Script() = &AScript;
  SetTimer(nullptr, 0, 10, &AnswerDialog);
  const TModalResult result = MessageDlg(AMsg, AType, AButtons, 0);
  Script() = nullptr;
  return result;
}

TEST(DialogsMessageDlg, IsATMessageFormWithTextAndButtons)
{
  TMessageDialogScript script;
  script.Click = L"OK";
  EXPECT_EQ(RunMessageDlg(script, L"Enter a model name.", mtError, {mbOK}), mrOk);
  ASSERT_TRUE(script.Found);
  EXPECT_EQ(script.Seen.ClassName, L"TMessageForm");
  EXPECT_EQ(script.Seen.Caption, L"Error");
  const std::vector<String> expected{L"", L"Enter a model name.", L"OK"};
  EXPECT_EQ(script.Seen.Texts, expected);
  EXPECT_EQ(FindWindowW(L"TMessageForm", nullptr), nullptr) << "the dialog is gone afterwards";
}

TEST(DialogsMessageDlg, ButtonsKeysAndClosingGiveTheirResults)
{
  struct Row {
    const char* Name;
    TMsgDlgButtons Buttons;
    String Click;
    WPARAM Key;
    bool Close;
    String ClickAfter;
    TModalResult Expected;
  };
  const Row rows[] = {
      {"click No", {mbYes, mbNo, mbCancel}, L"&No", 0, false, L"", mrNo},
      {"click Retry", {mbAbort, mbRetry, mbIgnore}, L"&Retry", 0, false, L"", mrRetry},
      {"Enter presses OK over Yes", {mbYes, mbOK}, L"", VK_RETURN, false, L"", mrOk},
      {"Enter presses Yes", {mbYes, mbNo}, L"", VK_RETURN, false, L"", mrYes},
      {"Escape is Cancel", {mbYes, mbNo, mbCancel}, L"", VK_ESCAPE, false, L"", mrCancel},
      {"Escape is No without Cancel", {mbYes, mbNo}, L"", VK_ESCAPE, false, L"", mrNo},
      {"Escape is OK alone", {mbOK}, L"", VK_ESCAPE, false, L"", mrOk},
      {"Escape does nothing without a cancel button", {mbYes, mbAbort}, L"", VK_ESCAPE, false, L"&Abort", mrAbort},
      {"Help closes nothing", {mbOK, mbHelp}, L"&Help", 0, false, L"OK", mrOk},
      {"closing the window", {mbYes, mbNo}, L"", 0, true, L"", mrCancel},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    TMessageDialogScript script;
    script.Click = row.Click;
    script.Key = row.Key;
    script.Close = row.Close;
    script.ClickAfter = row.ClickAfter;
    EXPECT_EQ(RunMessageDlg(script, L"Continue?", mtConfirmation, row.Buttons), row.Expected);
    EXPECT_TRUE(script.Found);
  }
}

TEST(DialogsMessageDlg, OtherWindowsOfTheThreadAreDisabledMeanwhile)
{
  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                               nullptr);
  TMessageDialogScript script;
  script.Owner = owner;
  script.Close = true;
  RunMessageDlg(script, L"Saved.", mtInformation, {mbOK});
  EXPECT_TRUE(script.Seen.OwnerDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(script.Seen.Caption, L"Information");
  DestroyWindow(owner);
}

// The dialog belongs to the active window. When that window goes while the
// dialog is up (the program ending from a timer, say), Windows takes the
// dialog with it: MessageDlg must come back rather than wait for a button
// that is gone. A guard timer ends a wait that would never end.
struct TOwnerGoneScript {
  HWND Owner = nullptr;
  bool Owned = false;
  bool Stuck = false;
};

TOwnerGoneScript*& OwnerGoneScript()
{
  static TOwnerGoneScript* script = nullptr;
  return script;
}

void CALLBACK DestroyDialogOwner(HWND, UINT, UINT_PTR ATimer, DWORD) noexcept
{
  HWND dialog = FindWindowW(L"TMessageForm", nullptr);
  if (!dialog)
    return;
  KillTimer(nullptr, ATimer);
  OwnerGoneScript()->Owned = GetWindow(dialog, GW_OWNER) == OwnerGoneScript()->Owner;
  DestroyWindow(OwnerGoneScript()->Owner);
}

void CALLBACK EndStuckDialog(HWND, UINT, UINT_PTR ATimer, DWORD) noexcept
{
  KillTimer(nullptr, ATimer);
  if (OwnerGoneScript()) {
    OwnerGoneScript()->Stuck = true;
    PostQuitMessage(0);
  }
}

TEST(DialogsMessageDlg, OwnerDestroyedMeanwhileEndsTheDialog)
{
  TOwnerGoneScript script;
  script.Owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
  SetActiveWindow(script.Owner);
  ASSERT_EQ(GetActiveWindow(), script.Owner);
  OwnerGoneScript() = &script;
  SetTimer(nullptr, 0, 10, &DestroyDialogOwner);
  const UINT_PTR guard = SetTimer(nullptr, 0, 5000, &EndStuckDialog);
  EXPECT_EQ(MessageDlg(L"Closing.", mtWarning, {mbOK}, 0), mrCancel);
  KillTimer(nullptr, guard);
  OwnerGoneScript() = nullptr;
  MSG quit;
  PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  EXPECT_TRUE(script.Owned);
  EXPECT_FALSE(script.Stuck);
  EXPECT_FALSE(IsWindow(script.Owner));
  EXPECT_EQ(FindWindowW(L"TMessageForm", nullptr), nullptr);
}

}  // namespace
}  // namespace vcl
