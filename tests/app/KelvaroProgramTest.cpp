// The program as a user meets it: kelvaro.exe runs in a process of its own
// and these tests drive its window from outside, by window messages, as
// typing and clicking would, then read back the memos, the clipboard and the
// saved files. Every wait polls for a state and gives up only after a long
// guard, so a slow machine is slower, never wrong.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/vcl/GraphicsHandles.h"

namespace {

using std::wstring;

void KvProgramCloseHandle(HANDLE AHandle) noexcept { CloseHandle(AHandle); }
using TKvProgramHandle = vcl::TOwnedHandle<HANDLE, &KvProgramCloseHandle>;

// Polls ACondition until it holds; false after a minute (a hung program).
bool KvProgramWaitFor(const std::function<bool()>& ACondition)
{
  for (int i = 0; i < 3000; ++i) {
    if (ACondition())
      return true;
    Sleep(20);
  }
  return ACondition();
}

wstring KvProgramClassName(HWND AWnd)
{
  wchar_t name[256] = {};
  GetClassNameW(AWnd, name, static_cast<int>(std::size(name)));
  return name;
}

// The window's text through WM_GETTEXT, which Windows carries across
// processes.
wstring KvProgramText(HWND AWnd)
{
  const LRESULT length = SendMessageW(AWnd, WM_GETTEXTLENGTH, 0, 0);
  wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied = SendMessageW(AWnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

// A visible top-level window of the process with that class, else nil.
HWND KvProgramTopWindow(DWORD AProcessId, const wchar_t* AClassName)
{
  HWND wnd = nullptr;
  while ((wnd = FindWindowExW(nullptr, wnd, AClassName, nullptr)) != nullptr) {
    DWORD process = 0;
    GetWindowThreadProcessId(wnd, &process);
    if (process == AProcessId && IsWindowVisible(wnd))
      return wnd;
  }
  return nullptr;
}

// The deepest visible window under a point of AParent's client area: for an
// editor, the edit window that holds its text.
HWND KvProgramWindowAt(HWND AParent, POINT AClientPoint)
{
  HWND wnd = AParent;
  POINT point = AClientPoint;
  for (;;) {
    HWND child = ChildWindowFromPointEx(wnd, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (!child || child == wnd)
      return wnd;
    MapWindowPoints(wnd, child, &point, 1);
    wnd = child;
  }
}

// What a user types, one character message at a time; write a line break
// as CR, the Enter key's character.
void KvProgramType(HWND AEdit, const wstring& AText)
{
  for (wchar_t c : AText)
    SendMessageW(AEdit, WM_CHAR, c, 1);
}

wstring KvProgramClipboardText()
{
  wstring text;
  if (!OpenClipboard(nullptr))
    return L"<clipboard busy>";
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    const vcl::TGlobalLock<wchar_t> lock(data);
    if (lock.Get())
      text = lock.Get();
  }
  CloseClipboard();
  return text;
}

void KvProgramSetClipboardText(const wstring& AText)
{
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  const std::size_t bytes = (AText.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  {
    const vcl::TGlobalLock<wchar_t> lock(memory);
    std::memcpy(lock.Get(), AText.c_str(), bytes);
  }
  // The clipboard owns the block from here.
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
}

std::string KvProgramFileBytes(const wstring& APath)
{
  std::ifstream file(APath.c_str(), std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

std::string KvProgramUtf8(const wstring& AText)
{
  if (AText.empty())
    return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, AText.data(), static_cast<int>(AText.size()), nullptr, 0,
                                       nullptr, nullptr);
  std::string result(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, AText.data(), static_cast<int>(AText.size()), result.data(), size, nullptr,
                      nullptr);
  return result;
}

// The expected texts: UTF-8 with LF line ends; the memos end every line
// in CR LF.
wstring KvProgramFixture(const char* AName)
{
  const std::string bytes = KvProgramFileBytes(wstring(KV_FIXTURES_DIR_W L"/") + wstring(AName, AName + std::strlen(AName)));
  EXPECT_FALSE(bytes.empty()) << "missing fixture " << AName;
  wstring text(bytes.size(), L'\0');
  text.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                                                           text.data(), static_cast<int>(text.size()))));
  wstring result;
  for (wchar_t c : text) {
    if (c == L'\n')
      result += L'\r';
    result += c;
  }
  return result;
}

const wchar_t kKvProgramFields[] = L"String id;\rString name;\rList<Tag> tags;";

// One run of kelvaro.exe, closed through its window (and ended by force only
// when it does not close) when the test is over.
class KvProgramTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    wstring commandLine = L"\"" KV_KELVARO_EXE L"\"";
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &info))
        << "cannot start " << KvProgramUtf8(KV_KELVARO_EXE);
    FProcess.Reset(info.hProcess);
    CloseHandle(info.hThread);
    FProcessId = info.dwProcessId;
    FThreadId = info.dwThreadId;
    ASSERT_TRUE(KvProgramWaitFor([this] { return (FForm = KvProgramTopWindow(FProcessId, L"TfrmMain")) != nullptr; }))
        << "the main window did not show";
    FGenerate = FindButton(L"Generate");
    FClipboard = FindButton(L"Copy to Clipboard");
    FSaveAs = FindButton(L"Save as Dart");
    FModelName = KvProgramWindowAt(FForm, {171, 18});
    FFields = KvProgramWindowAt(FForm, {300, 110});
    FPages = KvProgramWindowAt(FForm, {12, 210});
    while (FPages && KvProgramClassName(FPages) != L"TcxPageControl")
      FPages = GetParent(FPages);
    ASSERT_NE(FPages, nullptr);
  }

  void TearDown() override
  {
    if (!FProcess)
      return;
    if (IsWindow(FForm))
      PostMessageW(FForm, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(FProcess.Get(), 60000) != WAIT_OBJECT_0) {
      ADD_FAILURE() << "the program did not end when its window closed";
      TerminateProcess(FProcess.Get(), 1);
      WaitForSingleObject(FProcess.Get(), INFINITE);
    }
    DWORD exitCode = 1;
    GetExitCodeProcess(FProcess.Get(), &exitCode);
    EXPECT_EQ(exitCode, 0u);
  }

  HWND FindButton(const wchar_t* ACaption) { return FindWindowExW(FForm, nullptr, L"TcxButton", ACaption); }

  // The memo the visible page shows.
  HWND PageMemo() { return KvProgramWindowAt(FForm, {300, 356}); }
  // The caption of the page that holds the visible memo.
  wstring ActivePageCaption()
  {
    HWND wnd = PageMemo();
    while (wnd && KvProgramClassName(wnd) != L"TcxTabSheet")
      wnd = GetParent(wnd);
    return wnd ? KvProgramText(wnd) : L"";
  }

  void ClickTab(int AX)
  {
    const LPARAM point = MAKELPARAM(AX, kTabRowY);
    PostMessageW(FPages, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(FPages, WM_LBUTTONUP, 0, point);
  }

  // Posted: the handler may open a modal window and wait in it.
  void Click(HWND AButton) { PostMessageW(AButton, BM_CLICK, 0, 0); }

  // Everything posted to the program before this has been handled once this
  // returns: a character posted after it reaches the model-name edit last.
  void Settle()
  {
    const wstring before = KvProgramText(FModelName);
    PostMessageW(FModelName, WM_CHAR, L'#', 1);
    ASSERT_TRUE(KvProgramWaitFor([&] { return KvProgramText(FModelName) == before + L"#"; }));
    SendMessageW(FModelName, WM_CHAR, VK_BACK, 1);
  }

  HWND Focused()
  {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(FThreadId, &info) ? info.hwndFocus : nullptr;
  }

  // The message box now showing: its text, closed with its OK button.
  wstring AnswerErrorBox()
  {
    HWND box = nullptr;
    EXPECT_TRUE(KvProgramWaitFor([&] { return (box = KvProgramTopWindow(FProcessId, L"TMessageForm")) != nullptr; }));
    if (!box)
      return L"<no message box>";
    wstring text;
    HWND child = nullptr;
    while ((child = FindWindowExW(box, child, L"STATIC", nullptr)) != nullptr)
      if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
        text = KvProgramText(child);
    EXPECT_EQ(KvProgramText(box), L"Error");
    PostMessageW(FindWindowExW(box, nullptr, L"BUTTON", L"OK"), BM_CLICK, 0, 0);
    EXPECT_TRUE(KvProgramWaitFor([&] { return !IsWindowVisible(box); }));
    return text;
  }

  // Answers the save dialog: returns the proposed name and saves to APath.
  wstring AnswerSaveDialog(const wstring& APath)
  {
    HWND dialog = nullptr;
    EXPECT_TRUE(KvProgramWaitFor([&] { return (dialog = KvProgramTopWindow(FProcessId, L"#32770")) != nullptr; }));
    if (!dialog)
      return L"<no save dialog>";
    // The file name box: the combo box of the explorer-style dialog, the
    // edit of the old one.
    HWND name = GetDlgItem(dialog, 0x47C);
    if (!name)
      name = GetDlgItem(dialog, 0x480);
    const wstring proposed = KvProgramText(name);
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(APath.c_str()));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(KvProgramWaitFor([&] { return !IsWindow(dialog); }));
    return proposed;
  }

  wstring TempPath(const wchar_t* AName)
  {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const wstring path = wstring(folder) + L"kv_" + std::to_wstring(GetCurrentProcessId()) + L"_" + AName;
    DeleteFileW(path.c_str());
    FFiles.push_back(path);
    return path;
  }

  ~KvProgramTest() override
  {
    for (const wstring& file : FFiles)
      DeleteFileW(file.c_str());
  }

  // The middle of the tab row and of each tab, in the page control's
  // client coordinates.
  static constexpr int kTabRowY = 11;
  static constexpr int kModelTabX = 26;
  static constexpr int kCrudTabX = 70;

  TKvProgramHandle FProcess;
  DWORD FProcessId = 0;
  DWORD FThreadId = 0;
  HWND FForm = nullptr;
  HWND FGenerate = nullptr;
  HWND FClipboard = nullptr;
  HWND FSaveAs = nullptr;
  HWND FModelName = nullptr;
  HWND FFields = nullptr;
  HWND FPages = nullptr;
  std::vector<wstring> FFiles;
};

TEST_F(KvProgramTest, StartsEmptyOnTheModelPageAndSavesOrCopiesNothingYet)
{
  EXPECT_EQ(KvProgramText(FForm), L"Kelvaro");
  RECT client{};
  GetClientRect(FForm, &client);
  EXPECT_EQ(client.right, 726);
  ASSERT_NE(FGenerate, nullptr);
  ASSERT_NE(FClipboard, nullptr);
  ASSERT_NE(FSaveAs, nullptr);
  EXPECT_EQ(ActivePageCaption(), L"Model");
  EXPECT_TRUE(KvProgramWaitFor([&] { return Focused() == FModelName; }));
  EXPECT_EQ(KvProgramText(FModelName), L"");
  EXPECT_EQ(KvProgramText(FFields), L"");
  EXPECT_EQ(KvProgramText(PageMemo()), L"");
  ClickTab(kCrudTabX);
  ASSERT_TRUE(KvProgramWaitFor([&] { return ActivePageCaption() == L"CRUD"; }));
  EXPECT_EQ(KvProgramText(PageMemo()), L"");

  // Before any Generate, saving and copying do nothing.
  KvProgramSetClipboardText(L"untouched");
  Click(FSaveAs);
  Click(FClipboard);
  Settle();
  EXPECT_EQ(KvProgramTopWindow(FProcessId, L"#32770"), nullptr);
  EXPECT_EQ(KvProgramClipboardText(), L"untouched");
}

TEST_F(KvProgramTest, RefusesMissingInputWithAnErrorBoxAndFocusesTheEmptyControl)
{
  struct {
    const wchar_t* ModelName;
    const wchar_t* Fields;
    const wchar_t* Message;
    bool FocusFields;
  } const cases[] = {
      {L"", L"String id;", L"Please enter model name", false},
      {L"", L"", L"Please enter model name", false},
      {L"Company", L"", L"Please enter model fields", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(KvProgramUtf8(wstring(L"model '") + c.ModelName + L"', fields '" + c.Fields + L"'"));
    SendMessageW(FModelName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    SendMessageW(FFields, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    KvProgramType(FModelName, c.ModelName);
    KvProgramType(FFields, c.Fields);
    Click(FGenerate);
    EXPECT_EQ(AnswerErrorBox(), c.Message);
    HWND expected = c.FocusFields ? FFields : FModelName;
    EXPECT_TRUE(KvProgramWaitFor([&] { return Focused() == expected; }));
    EXPECT_EQ(KvProgramText(PageMemo()), L"");
  }
}

TEST_F(KvProgramTest, GenerateWritesBothTextsAndTheCrudPageKeepsAccumulating)
{
  KvProgramType(FModelName, L"Company");
  KvProgramType(FFields, kKvProgramFields);
  Click(FGenerate);
  const wstring model = KvProgramFixture("company_model.dart.txt");
  const wstring crud = KvProgramFixture("company_crud.dart.txt");
  ASSERT_TRUE(KvProgramWaitFor([&] { return KvProgramText(PageMemo()) == model; }))
      << KvProgramUtf8(KvProgramText(PageMemo()));

  ClickTab(kCrudTabX);
  ASSERT_TRUE(KvProgramWaitFor([&] { return ActivePageCaption() == L"CRUD"; }));
  EXPECT_EQ(KvProgramText(PageMemo()), crud);

  // A second Generate replaces the model text and appends a second class.
  Click(FGenerate);
  EXPECT_TRUE(KvProgramWaitFor([&] { return KvProgramText(PageMemo()) == crud + crud; }));
  ClickTab(kModelTabX);
  ASSERT_TRUE(KvProgramWaitFor([&] { return ActivePageCaption() == L"Model"; }));
  EXPECT_EQ(KvProgramText(PageMemo()), model);
}

TEST_F(KvProgramTest, CopyAndSaveTakeTheActivePage)
{
  KvProgramType(FModelName, L"Company");
  KvProgramType(FFields, kKvProgramFields);
  Click(FGenerate);
  const wstring model = KvProgramFixture("company_model.dart.txt");
  ASSERT_TRUE(KvProgramWaitFor([&] { return KvProgramText(PageMemo()) == model; }));

  struct {
    int TabX;
    const wchar_t* Caption;
    const char* Expected;
  } const cases[] = {{kCrudTabX, L"CRUD", "company_crud.dart.txt"}, {kModelTabX, L"Model", "company_model.dart.txt"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Expected);
    ClickTab(c.TabX);
    ASSERT_TRUE(KvProgramWaitFor([&] { return ActivePageCaption() == c.Caption; }));
    KvProgramSetClipboardText(L"before");
    // Sent, not posted: the copy is over when this returns, so the test never
    // holds the clipboard open while the program copies into it.
    SendMessageW(FClipboard, BM_CLICK, 0, 0);
    const wstring expected = KvProgramFixture(c.Expected);
    EXPECT_TRUE(KvProgramWaitFor([&] { return KvProgramClipboardText() == expected; }))
        << KvProgramUtf8(KvProgramClipboardText());
    DWORD start = 1, end = 0;
    SendMessageW(PageMemo(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, end);
  }

  // Back on the model page, the save proposes the lower-cased model name.
  const wstring file = TempPath(L"company.dart");
  Click(FSaveAs);
  EXPECT_EQ(AnswerSaveDialog(file), L"company_model.dart");
  EXPECT_TRUE(KvProgramWaitFor([&] { return KvProgramFileBytes(file) == KvProgramUtf8(model); }));
}

TEST_F(KvProgramTest, SaveAsDartProposesTheNameAndWritesUtf8WithoutByteOrderMark)
{
  // A name outside the ANSI code page: the file must keep it.
  const wstring modelName = L"Ärger\u4E2D";
  KvProgramType(FModelName, modelName);
  KvProgramType(FFields, L"String straße;");
  Click(FGenerate);
  ASSERT_TRUE(KvProgramWaitFor([&] { return !KvProgramText(PageMemo()).empty(); }));
  const wstring model = KvProgramText(PageMemo());
  EXPECT_NE(model.find(L"class Ärger\u4E2D {"), wstring::npos);

  const wstring modelFile = TempPath(L"model.dart");
  Click(FSaveAs);
  // Only A to Z are lowered in the proposal.
  EXPECT_EQ(AnswerSaveDialog(modelFile), L"Ärger\u4E2D_model.dart");
  EXPECT_TRUE(KvProgramWaitFor([&] { return KvProgramFileBytes(modelFile) == KvProgramUtf8(model); }))
      << KvProgramFileBytes(modelFile);

  ClickTab(kCrudTabX);
  ASSERT_TRUE(KvProgramWaitFor([&] { return ActivePageCaption() == L"CRUD"; }));
  const wstring crudFile = TempPath(L"crud.dart");
  Click(FSaveAs);
  EXPECT_EQ(AnswerSaveDialog(crudFile), L"Ärger\u4E2D_crud.dart");
  EXPECT_TRUE(KvProgramWaitFor([&] { return KvProgramFileBytes(crudFile) == KvProgramUtf8(KvProgramText(PageMemo())); }));
  EXPECT_NE(KvProgramFileBytes(crudFile).rfind("\xEF\xBB\xBF", 0), 0u);
}

}  // namespace
