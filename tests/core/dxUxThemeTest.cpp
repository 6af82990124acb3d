// The visual-styles binding: what is bound, under the names Windows exports,
// and the wrappers that guard or restore something, with the library's
// functions replaced by fakes where the real ones cannot show it.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/dxUxTheme.h"

namespace {

constexpr const char* PanningFunctions[] = {"BeginPanningFeedback", "UpdatePanningFeedback", "EndPanningFeedback"};

bool IsPanningFunction(const std::string& AName)
{
  for (const char* name : PanningFunctions)
    if (AName == name)
      return true;
  return false;
}

// Wine reports itself through an ntdll export that Windows lacks.
bool RunningUnderWine()
{
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// A plain top-level window of the test, destroyed with the object.
class TThemeTestWindow {
 public:
  TThemeTestWindow()
      : FHandle(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 50, nullptr, nullptr, nullptr, nullptr))
  {
  }
  ~TThemeTestWindow() { DestroyWindow(FHandle); }
  TThemeTestWindow(const TThemeTestWindow&) = delete;
  TThemeTestWindow& operator=(const TThemeTestWindow&) = delete;
  HWND Handle() const { return FHandle; }

 private:
  HWND FHandle;
};

// What the fakes saw.
HFONT FakeFont;
std::wstring FakeText;

HRESULT WINAPI FakeDrawThemeParentBackground(HWND /*AWnd*/, HDC DC, RECT* /*R*/)
{
  // As a parent's WM_PRINTCLIENT painting may: its own font left selected.
  SelectObject(DC, FakeFont);
  return S_OK;
}

HRESULT WINAPI FakeDrawThemeTextEx(HTHEME /*ATheme*/, HDC /*DC*/, int /*APartId*/, int /*AStateId*/, LPCWSTR AText,
                                   int /*ACharCount*/, DWORD /*AFlags*/, LPRECT /*R*/, const DTTOPTS* /*AOptions*/)
{
  FakeText = AText;
  // DT_MODIFYSTRING | DT_END_ELLIPSIS: the function writes the shortened
  // text, ellipsis and null included, into the caller's buffer.
  wcscpy(const_cast<wchar_t*>(AText), L"abcd...");
  return S_OK;
}

// The test program starts and finishes the unit.
class UxTheme : public testing::Test {
 protected:
  // Binds afresh, so no fake outlives its case.
  void TearDown() override
  {
    unit_dxUxTheme.finalization();
    unit_dxUxTheme.initialization();
  }
};

TEST_F(UxTheme, BindsEachFunctionUnderTheNameTheLibraryExportsItBy)
{
  ASSERT_TRUE(dxUxThemeLibraryLoaded());
  const auto names = dxUxThemeFunctionNames();
  ASSERT_EQ(names.size(), 56u);
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size()) << "a name bound twice";
  EXPECT_EQ(sizeof(TdxUxThemeFunctions), names.size() * sizeof(void*));

  const bool wine = RunningUnderWine();
  std::string report;
  for (int i = 0; i < static_cast<int>(names.size()); ++i) {
    SCOPED_TRACE(names[i]);
    void* const exported = reinterpret_cast<void*>(GetProcAddress(dxUxThemeLibrary, names[i]));
    EXPECT_EQ(dxUxThemeFunctionAddress(i), exported);
    if (wine && !IsPanningFunction(names[i])) {
      EXPECT_NE(exported, nullptr) << "Wine is expected to have it";
    }
    report += std::string(names[i]) + (exported ? " present\n" : " absent\n");
  }
  EXPECT_EQ(dxUxThemeFunctionAddress(-1), nullptr);
  EXPECT_EQ(dxUxThemeFunctionAddress(56), nullptr);
  RecordProperty("functions", report);
}

TEST_F(UxTheme, PanningFeedbackAnswersFalseWhenTheFunctionIsMissing)
{
  const TThemeTestWindow window;
  if (RunningUnderWine()) {
    EXPECT_EQ(dxUxThemeFunctions.BeginPanningFeedback, nullptr);
    EXPECT_EQ(dxUxThemeFunctions.UpdatePanningFeedback, nullptr);
    EXPECT_EQ(dxUxThemeFunctions.EndPanningFeedback, nullptr);
  }
  // Missing as on Wine and before Windows 7, whatever this system has.
  dxUxThemeFunctions.BeginPanningFeedback = nullptr;
  dxUxThemeFunctions.UpdatePanningFeedback = nullptr;
  dxUxThemeFunctions.EndPanningFeedback = nullptr;
  EXPECT_FALSE(dxUxBeginPanningFeedback(window.Handle()));
  EXPECT_FALSE(dxUxUpdatePanningFeedback(window.Handle(), POINT{10, -5}, true));
  EXPECT_FALSE(dxUxEndPanningFeedback(window.Handle(), true));
}

TEST_F(UxTheme, IsThemeActiveAsksTheLibraryAndAnswersFalseWithoutTheFunction)
{
  ASSERT_NE(dxUxThemeFunctions.IsThemeActive, nullptr);
  EXPECT_EQ(dxUxIsThemeActive(), dxUxThemeFunctions.IsThemeActive() != FALSE);
  dxUxThemeFunctions.IsThemeActive = nullptr;
  EXPECT_FALSE(dxUxIsThemeActive());
}

TEST_F(UxTheme, OpensAndClosesTheThemeOfAWindowThroughTheBinding)
{
  const TThemeTestWindow window;
  ASSERT_NE(window.Handle(), nullptr);
  const HTHEME theme = dxUxOpenThemeData(window.Handle(), L"Button");
  if (!dxUxIsThemeActive()) {
    // No visual style (Wine's default prefix): nothing to open.
    EXPECT_EQ(theme, nullptr);
    return;
  }
  ASSERT_NE(theme, nullptr);
  EXPECT_EQ(dxUxThemeFunctions.GetWindowTheme(window.Handle()), theme);
  SIZE size{-1, -1};
  EXPECT_EQ(dxUxGetThemePartSize(theme, nullptr, 3 /* BP_CHECKBOX */, 1, TS_TRUE, &size), S_OK);
  EXPECT_GT(size.cx, 0);
  EXPECT_EQ(dxUxCloseThemeData(theme), S_OK);
}

TEST_F(UxTheme, DrawThemeParentBackgroundSelectsTheCallersFontBack)
{
  const HDC dc = CreateCompatibleDC(nullptr);
  const HFONT callerFont = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
  FakeFont = CreateFontW(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
  const HGDIOBJ original = SelectObject(dc, callerFont);
  dxUxThemeFunctions.DrawThemeParentBackground = &FakeDrawThemeParentBackground;

  const RECT r{0, 0, 10, 10};
  EXPECT_EQ(dxUxDrawThemeParentBackground(nullptr, dc, &r), S_OK);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), callerFont);

  SelectObject(dc, original);
  DeleteObject(FakeFont);
  DeleteObject(callerFont);
  DeleteDC(dc);
}

TEST_F(UxTheme, DrawThemeTextExWritesIntoACopyOfTheText)
{
  dxUxThemeFunctions.DrawThemeTextEx = &FakeDrawThemeTextEx;
  // Shorter than what the fake writes back: the copy has room for it.
  const rtl::String text = L"abc";
  RECT r{0, 0, 10, 10};
  DTTOPTS options{};
  options.dwSize = sizeof(options);
  EXPECT_EQ(dxUxDrawThemeTextEx(nullptr, nullptr, 0, 0, text, -1, DT_MODIFYSTRING | DT_END_ELLIPSIS, &r, options),
            S_OK);
  EXPECT_EQ(FakeText, L"abc");
  EXPECT_EQ(text, L"abc");
}

TEST_F(UxTheme, FinishingUnbindsAndStartingAgainBindsAfresh)
{
  unit_dxUxTheme.finalization();
  EXPECT_FALSE(dxUxThemeLibraryLoaded());
  for (int i = 0; i < static_cast<int>(dxUxThemeFunctionNames().size()); ++i)
    EXPECT_EQ(dxUxThemeFunctionAddress(i), nullptr) << dxUxThemeFunctionNames()[i];
  EXPECT_FALSE(dxUxIsThemeActive());

  unit_dxUxTheme.initialization();
  EXPECT_TRUE(dxUxThemeLibraryLoaded());
  EXPECT_NE(dxUxThemeFunctions.OpenThemeData, nullptr);
}

}  // namespace
