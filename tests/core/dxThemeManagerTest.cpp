// The theme cache and the theme-change listeners. The library's open, close,
// is-active and theme-name functions are replaced by fakes that log their
// calls, so the cache's decisions show whether or not this system has a
// visual style; the change messages go to the thread's top-level windows,
// as Windows sends them.
#include <gtest/gtest.h>

#include <list>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/dxThemeManager.h"
#include "core/dxUxTheme.h"
#include "platform/rtl/ClassesThreads.h"

using enum TdxThemedObjectType;

namespace {

// What the fakes answer and saw; plain data, reset by each case.
bool FakeActive;
std::set<std::wstring> FakeFailing;
std::vector<std::wstring> FakeOpened;
std::vector<HTHEME> FakeClosed;
UINT_PTR FakeLastHandle;
const wchar_t* FakeThemeName;
HRESULT FakeThemeNameResult;

HTHEME WINAPI FakeOpenThemeData(HWND /*AWnd*/, LPCWSTR AClassList)
{
  FakeOpened.push_back(AClassList);
  if (FakeFailing.contains(AClassList))
    return nullptr;
  return reinterpret_cast<HTHEME>(++FakeLastHandle);
}

HRESULT WINAPI FakeCloseThemeData(HTHEME ATheme)
{
  FakeClosed.push_back(ATheme);
  return S_OK;
}

BOOL WINAPI FakeIsThemeActive()
{
  return FakeActive;
}

HRESULT WINAPI FakeGetCurrentThemeName(LPWSTR AFileName, int AMaxChars, LPWSTR /*AColor*/, int /*AMaxColor*/,
                                       LPWSTR /*ASize*/, int /*AMaxSize*/)
{
  lstrcpynW(AFileName, FakeThemeName, AMaxChars);
  return FakeThemeNameResult;
}

BOOL CALLBACK SendToWindow(HWND AWnd, LPARAM AMsg)
{
  SendMessageW(AWnd, static_cast<UINT>(AMsg), 0, 0);
  return TRUE;
}

// As Windows does: to every top-level window, the receiver's among them.
void SendToTopLevelWindows(UINT AMsg)
{
  EnumThreadWindows(GetCurrentThreadId(), &SendToWindow, static_cast<LPARAM>(AMsg));
}

// Counts what reaches the application's exception handler.
struct TThemeExceptionLog {
  int Count = 0;
  void Handle(rtl::TObject* /*Sender*/) { ++Count; }
};

class ThemeManager : public testing::Test {
 protected:
  // The test program started the theme manager over the real library; each
  // test starts it afresh over the fakes, and the program finishes it last.
  static void SetUpTestSuite() { unit_dxThemeManager.finalization(); }
  static void TearDownTestSuite() { unit_dxThemeManager.initialization(); }

  // A fresh cache over the fakes, themes active.
  void SetUp() override
  {
    FSaved = dxUxThemeFunctions;
    FSavedHandler = rtl::GetApplicationHandleException();
    rtl::SetApplicationHandleException(rtl::TNotifyEvent::Bind<&TThemeExceptionLog::Handle>(&FExceptions));
    FakeActive = true;
    FakeFailing.clear();
    FakeThemeName = L"";
    FakeThemeNameResult = E_FAIL;
    dxUxThemeFunctions.OpenThemeData = &FakeOpenThemeData;
    dxUxThemeFunctions.CloseThemeData = &FakeCloseThemeData;
    dxUxThemeFunctions.IsThemeActive = &FakeIsThemeActive;
    dxUxThemeFunctions.GetCurrentThemeName = &FakeGetCurrentThemeName;
    unit_dxThemeManager.initialization();
    FakeOpened.clear();
    FakeClosed.clear();
  }

  // The fakes close what they opened before the real functions return.
  void TearDown() override
  {
    unit_dxThemeManager.finalization();
    dxUxThemeFunctions = FSaved;
    rtl::SetApplicationHandleException(FSavedHandler);
  }

  // Restarts the cache over the library's own functions.
  void UseRealLibrary()
  {
    unit_dxThemeManager.finalization();
    dxUxThemeFunctions = FSaved;
    unit_dxThemeManager.initialization();
  }

  TThemeExceptionLog FExceptions;

 private:
  TdxUxThemeFunctions FSaved;
  rtl::TNotifyEvent FSavedHandler;
};

// ---------------------------------------------------------------------------
// The cache

TEST_F(ThemeManager, OpensEachKindWithItsDefaultClassList)
{
  struct TCase {
    TdxThemedObjectType Kind;
    const wchar_t* ClassList;
  };
  const TCase cases[] = {
      {totButton, L"Button"},         {totClock, L"Clock"},
      {totComboBox, L"ComboBox"},     {totEdit, L"Edit"},
      {totExplorerBar, L"ExplorerBar"}, {totHeader, L"Header"},
      {totListBox, L"ListBox"},       {totListView, L"ListView"},
      {totMenu, L"Menu"},             {totPage, L"Page"},
      {totProgress, L"Progress"},     {totRebar, L"Rebar"},
      {totScrollBar, L"ScrollBar"},   {totSpin, L"Spin"},
      {totStartPanel, L"StartPanel"}, {totStatus, L"Status"},
      {totTab, L"Tab"},               {totTaskBand, L"TaskBand"},
      {totTaskBar, L"TaskBar"},       {totToolBar, L"ToolBar"},
      {totToolTip, L"ToolTip"},       {totTrackBar, L"TrackBar"},
      {totTrayNotify, L"TrayNotify"}, {totTreeView, L"TreeView"},
      {totWindow, L"Window"},         {totNavigation, L"Navigation"},
      {totExplorerListView, L"Explorer::ListView"}, {totTextStyle, L"TEXTSTYLE"},
  };
  ASSERT_EQ(std::size(cases), static_cast<std::size_t>(rtl::EnumCount<TdxThemedObjectType>()));
  for (const TCase& c : cases) {
    SCOPED_TRACE(rtl::GetEnumName(c.Kind));
    EXPECT_NE(dxOpenTheme(c.Kind), nullptr);
    ASSERT_FALSE(FakeOpened.empty());
    EXPECT_EQ(FakeOpened.back(), c.ClassList);
  }
  EXPECT_EQ(FakeOpened.size(), std::size(cases));
}

TEST_F(ThemeManager, ReturnsTheCachedHandleWhileTheClassListIsTheSame)
{
  const HTHEME theme = dxOpenTheme(totButton);
  ASSERT_NE(theme, nullptr);
  EXPECT_EQ(dxOpenTheme(totButton), theme);
  EXPECT_EQ(dxOpenTheme(totButton, L"BUTTON"), theme);  // compared ignoring case
  EXPECT_TRUE(dxThemeClassAvailable(totButton));
  EXPECT_EQ(FakeOpened, std::vector<std::wstring>{L"Button"});
  EXPECT_TRUE(FakeClosed.empty());
}

TEST_F(ThemeManager, AnotherClassListReopensTheKindAndIsRememberedAcrossAThemeChange)
{
  const HTHEME first = dxOpenTheme(totEdit);
  const HTHEME second = dxOpenTheme(totEdit, L"Explorer::Edit");
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, first);
  EXPECT_EQ(FakeClosed, std::vector<HTHEME>{first});
  EXPECT_EQ(dxOpenTheme(totEdit), second);

  SendToTopLevelWindows(WM_THEMECHANGED);
  EXPECT_EQ(FakeClosed, (std::vector<HTHEME>{first, second}));
  const HTHEME third = dxOpenTheme(totEdit);
  EXPECT_NE(third, second);
  EXPECT_EQ(FakeOpened, (std::vector<std::wstring>{L"Edit", L"Explorer::Edit", L"Explorer::Edit"}));
}

TEST_F(ThemeManager, ClosingAKindForgetsItsClassList)
{
  EXPECT_EQ(dxCloseThemeOf(totTab), S_OK);  // not open: nothing to close
  const HTHEME theme = dxOpenTheme(totTab, L"Custom::Tab");
  EXPECT_EQ(dxCloseThemeOf(totTab), S_OK);
  EXPECT_EQ(FakeClosed, std::vector<HTHEME>{theme});
  dxOpenTheme(totTab);
  EXPECT_EQ(FakeOpened, (std::vector<std::wstring>{L"Custom::Tab", L"Tab"}));
}

TEST_F(ThemeManager, AClassListThatFailsToOpenIsForgotten)
{
  FakeFailing = {L"Broken"};
  const HTHEME theme = dxOpenTheme(totTab);
  EXPECT_EQ(dxOpenTheme(totTab, L"Broken"), nullptr);
  EXPECT_EQ(FakeClosed, std::vector<HTHEME>{theme});
  EXPECT_TRUE(dxThemeClassAvailable(totTab));
  EXPECT_EQ(FakeOpened, (std::vector<std::wstring>{L"Tab", L"Broken", L"Tab"}));
}

TEST_F(ThemeManager, ThemesAvailableTriesTheKindsInOrderUpToTheFirstFailure)
{
  FakeFailing = {L"ComboBox"};
  EXPECT_TRUE(dxThemesAvailable());
  EXPECT_TRUE(dxThemesAvailable({totButton, totEdit}));
  FakeOpened.clear();
  EXPECT_FALSE(dxThemesAvailable({totTreeView, totComboBox, totClock}));
  EXPECT_EQ(FakeOpened, (std::vector<std::wstring>{L"Clock", L"ComboBox"}));
  EXPECT_FALSE(dxThemeClassAvailable(totComboBox));
}

TEST_F(ThemeManager, WithThemesSwitchedOffEveryQueryAnswersNo)
{
  const HTHEME theme = dxOpenTheme(totHeader);
  FakeActive = false;
  FakeThemeName = L"C:\\Windows\\Resources\\Themes\\Luna\\Luna.msstyles";
  FakeThemeNameResult = S_OK;
  SendToTopLevelWindows(WM_THEMECHANGED);
  EXPECT_EQ(FakeClosed, std::vector<HTHEME>{theme});

  FakeOpened.clear();
  EXPECT_FALSE(dxThemesAvailable());
  EXPECT_FALSE(dxThemesAvailable({totHeader}));
  EXPECT_FALSE(dxThemeClassAvailable(totHeader));
  EXPECT_EQ(dxOpenTheme(totHeader), nullptr);
  EXPECT_EQ(dxCloseThemeOf(totHeader), S_FALSE);
  EXPECT_FALSE(dxIsClassicXPVisualStyle());
  EXPECT_TRUE(FakeOpened.empty());

  FakeActive = true;
  SendToTopLevelWindows(WM_SYSCOLORCHANGE);
  EXPECT_NE(dxOpenTheme(totHeader), nullptr);
}

TEST_F(ThemeManager, ClassicXPVisualStyleByTheFileNameOfTheCurrentTheme)
{
  struct TCase {
    const wchar_t* Path;
    HRESULT Result;
    bool Classic;
  };
  const TCase cases[] = {
      {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", S_OK, true},
      {L"C:\\WINDOWS\\Resources\\Themes\\Royale\\royale.MSSTYLES", S_OK, true},
      {L"Luna.msstyles", S_OK, true},
      {L"C:\\Windows\\Resources\\Themes\\Aero\\Aero.msstyles", S_OK, false},
      {L"C:\\Themes\\Luna.msstyles.bak", S_OK, false},
      {L"C:\\Themes\\MyLuna.msstyles", S_OK, false},
      {L"C:\\Themes\\Luna\\Luna.msstyles", E_FAIL, false},
      {L"", S_OK, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << std::string(c.Path, c.Path + wcslen(c.Path)));
    FakeThemeName = c.Path;
    FakeThemeNameResult = c.Result;
    EXPECT_EQ(dxIsClassicXPVisualStyle(), c.Classic);
  }
}

TEST_F(ThemeManager, SameTextUpperIgnoresCase)
{
  EXPECT_TRUE(dxSameTextUpper(L"Explorer::ListView", L"EXPLORER::listview"));
  EXPECT_TRUE(dxSameTextUpper(L"", L""));
  EXPECT_TRUE(dxSameTextUpper(L"\u00e9dit", L"\u00c9DIT"));
  EXPECT_FALSE(dxSameTextUpper(L"Edit", L"Edit "));
  EXPECT_FALSE(dxSameTextUpper(L"ListView", L"Explorer::ListView"));
}

TEST_F(ThemeManager, WithoutTheLibraryNothingOpensAndNoListenerIsTold)
{
  unit_dxThemeManager.finalization();
  const HMODULE library = dxUxThemeLibrary;
  dxUxThemeLibrary = nullptr;
  unit_dxThemeManager.initialization();

  int told = 0;
  struct TCounter {
    int* Count;
    void Changed(rtl::TObject* /*Sender*/) { ++*Count; }
  } counter{&told};
  auto* notificator = rtl::New<TdxThemeChangedNotificator>();
  notificator->SetOnThemeChanged(rtl::TNotifyEvent::Bind<&TCounter::Changed>(&counter));
  SendToTopLevelWindows(WM_THEMECHANGED);
  EXPECT_EQ(told, 0);
  EXPECT_FALSE(dxThemesAvailable());
  EXPECT_EQ(dxOpenTheme(totButton), nullptr);
  EXPECT_EQ(dxCloseThemeOf(totButton), S_FALSE);
  EXPECT_FALSE(dxIsClassicXPVisualStyle());
  EXPECT_TRUE(FakeOpened.empty());
  rtl::Free(notificator);

  unit_dxThemeManager.finalization();
  dxUxThemeLibrary = library;
  unit_dxThemeManager.initialization();
}

TEST_F(ThemeManager, OverTheRealLibraryTheCacheFollowsIsThemeActive)
{
  UseRealLibrary();
  const bool active = dxUxIsThemeActive();
  EXPECT_EQ(dxThemesAvailable(), active);
  const HTHEME theme = dxOpenTheme(totButton);
  EXPECT_EQ(theme != nullptr, active);
  EXPECT_EQ(dxOpenTheme(totButton), theme);
  SendToTopLevelWindows(WM_THEMECHANGED);
  EXPECT_EQ(dxThemesAvailable(), dxUxIsThemeActive());
}

// ---------------------------------------------------------------------------
// Listeners

enum class TAction { None, FreeNext, FreeSelf, FreeFirst, CreateNew, Raise };

// Notificators whose handlers log their index and then, once, do their
// action to the list of notificators.
class TListeners {
 public:
  explicit TListeners(std::vector<TAction> AActions)
  {
    for (TAction action : AActions)
      Add(action);
  }
  ~TListeners()
  {
    for (TdxThemeChangedNotificator* item : FItems)
      rtl::Free(item);
  }
  TListeners(const TListeners&) = delete;
  TListeners& operator=(const TListeners&) = delete;

  std::vector<int> TakeLog() { return std::exchange(FLog, {}); }

 private:
  struct THandler {
    TListeners* Owner;
    int Index;
    TAction Action;
    void Changed(rtl::TObject* ASender) { Owner->Changed(*this, ASender); }
  };

  void Add(TAction AAction)
  {
    THandler& handler = FHandlers.emplace_back(THandler{this, static_cast<int>(FItems.size()), AAction});
    auto* item = rtl::New<TdxThemeChangedNotificator>();
    item->SetOnThemeChanged(rtl::TNotifyEvent::Bind<&THandler::Changed>(&handler));
    FItems.push_back(item);
  }

  void Changed(THandler& AHandler, rtl::TObject* ASender)
  {
    EXPECT_EQ(ASender, FItems[AHandler.Index]);
    FLog.push_back(AHandler.Index);
    const TAction action = std::exchange(AHandler.Action, TAction::None);
    switch (action) {
      case TAction::None:
        break;
      case TAction::FreeNext:
        rtl::FreeAndNil(FItems[AHandler.Index + 1]);
        break;
      case TAction::FreeSelf:
        rtl::FreeAndNil(FItems[AHandler.Index]);
        break;
      case TAction::FreeFirst:
        rtl::FreeAndNil(FItems[0]);
        break;
      case TAction::CreateNew:
        Add(TAction::None);
        break;
      case TAction::Raise:
        throw rtl::Exception(L"listener failed");
    }
  }

  std::vector<TdxThemeChangedNotificator*> FItems;
  std::list<THandler> FHandlers;  // stable addresses for the method pointers
  std::vector<int> FLog;
};

TEST_F(ThemeManager, ListenersAreToldOfThemeAndSystemColourChangesInCreationOrder)
{
  for (UINT msg : {UINT(WM_THEMECHANGED), UINT(WM_SYSCOLORCHANGE)}) {
    SCOPED_TRACE(msg);
    TListeners listeners({TAction::None, TAction::None, TAction::None});
    const HTHEME theme = dxOpenTheme(totWindow);
    FakeClosed.clear();
    SendToTopLevelWindows(msg);
    EXPECT_EQ(listeners.TakeLog(), (std::vector<int>{0, 1, 2}));
    // Told after the cache was emptied, so a listener reopens afresh.
    EXPECT_EQ(FakeClosed, std::vector<HTHEME>{theme});
  }
  TListeners listeners({TAction::None});
  SendToTopLevelWindows(WM_SETTINGCHANGE);
  EXPECT_TRUE(listeners.TakeLog().empty());
}

TEST_F(ThemeManager, ListenersFreedOrCreatedDuringTheWalkAreSafe)
{
  struct TCase {
    const char* Name;
    std::vector<TAction> Actions;
    std::vector<int> FirstWalk;
    std::vector<int> SecondWalk;
    int Exceptions;
  };
  const TCase cases[] = {
      {"nobody acts", {TAction::None, TAction::None, TAction::None}, {0, 1, 2}, {0, 1, 2}, 0},
      {"the first frees the second", {TAction::FreeNext, TAction::None, TAction::None}, {0, 2}, {0, 2}, 0},
      {"the second frees itself", {TAction::None, TAction::FreeSelf, TAction::None}, {0, 1, 2}, {0, 2}, 0},
      {"the last frees itself", {TAction::None, TAction::None, TAction::FreeSelf}, {0, 1, 2}, {0, 1}, 0},
      {"the last frees the first", {TAction::None, TAction::None, TAction::FreeFirst}, {0, 1, 2}, {1, 2}, 0},
      {"the first creates a listener", {TAction::CreateNew, TAction::None}, {0, 1}, {0, 1, 2}, 0},
      // One handler encloses the walk: the rest of it is skipped.
      {"the second raises", {TAction::None, TAction::Raise, TAction::None}, {0, 1}, {0, 1, 2}, 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    FExceptions.Count = 0;
    TListeners listeners(c.Actions);
    SendToTopLevelWindows(WM_THEMECHANGED);
    EXPECT_EQ(listeners.TakeLog(), c.FirstWalk);
    SendToTopLevelWindows(WM_THEMECHANGED);
    EXPECT_EQ(listeners.TakeLog(), c.SecondWalk);
    EXPECT_EQ(FExceptions.Count, c.Exceptions);
  }
}

}  // namespace
