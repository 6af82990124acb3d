#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "platform/rtl/ClassesFiler.h"
#include "platform/rtl/ClassesStreams.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/StdCtrls.h"
#include "tests/support/TestHost.h"

using enum rtl::TAlignment;
using enum vcl::TAlign;
using enum vcl::TControlStyleItem;
using enum vcl::TEditCharCase;
using enum vcl::TListBoxStyle;
using enum vcl::TOwnerDrawStateItem;

namespace vcl {
namespace {

using rtl::String;

std::string Narrow(const String& S)
{
  return {S.begin(), S.end()};
}

// Counts the events of the controls under test.
class TStdCtrlsEvents : public rtl::TObject {
  RTL_CLASS(TStdCtrlsEvents, rtl::TObject)

 public:
  int Changes = 0;
  int Clicks = 0;
  std::vector<int> Measured;
  std::vector<std::pair<int, TOwnerDrawState>> Drawn;
  std::vector<TRect> DrawnRects;

  void Change(TObject*) { ++Changes; }
  // A label that closes the panel it stands on.
  void ClickAndFreeParent(TObject* Sender)
  {
    ++Clicks;
    rtl::Free(static_cast<TControl*>(Sender)->GetParent());
  }
  // An edit that is done once changed: the handler frees it.
  void ChangeAndFree(TObject* Sender)
  {
    ++Changes;
    rtl::Free(Sender);
  }
  void Click(TObject*) { ++Clicks; }
  // A button that closes what it stands on: the handler frees it.
  void ClickAndFree(TObject* Sender)
  {
    ++Clicks;
    rtl::Free(Sender);
  }
  // Item I is 10 + 5 * I pixels high.
  void MeasureItem(TWinControl*, int AIndex, int& AHeight)
  {
    Measured.push_back(AIndex);
    AHeight = 10 + 5 * AIndex;
  }
  void DrawItem(TWinControl*, int AIndex, TRect ARect, TOwnerDrawState AState)
  {
    Drawn.emplace_back(AIndex, AState);
    DrawnRects.push_back(ARect);
  }
};

class StdCtrlsTest : public kvtest::THostedTest {
 protected:
  void SetUp() override
  {
    FEvents.reset(rtl::New<TStdCtrlsEvents>());
    THostedTest::SetUp();
  }

  template <class T>
  T* AddChild(TRect ABounds = {0, 0, 300, 200})
  {
    return THostedTest::AddChild<T>(ABounds);
  }

  // A memo that wraps nothing, so its lines are the text's lines.
  TMemo* AddMemo(const String& AText = {})
  {
    TMemo* memo = AddChild<TMemo>();
    memo->SetWordWrap(false);
    memo->SetText(AText);
    return memo;
  }

  rtl::TOwnedPtr<TStdCtrlsEvents> FEvents;
};

// ---------------------------------------------------------------------------
// The memo's line list

TEST_F(StdCtrlsTest, MemoLinesCountWithoutATrailingEmptyLine)
{
  struct TCase {
    const wchar_t* Text;
    int Count;
  };
  const TCase cases[] = {
      {L"", 0}, {L"a", 1}, {L"a\r\n", 1}, {L"a\r\nb", 2}, {L"a\r\n\r\n", 2}, {L"\r\n", 1},
  };
  for (const TCase& c : cases) {
    TMemo* memo = AddMemo(c.Text);
    EXPECT_EQ(memo->GetLines()->GetCount(), c.Count) << Narrow(c.Text);
    rtl::Free(memo);
  }
}

TEST_F(StdCtrlsTest, MemoWithoutAWindowAndWithoutTextHasNoLines)
{
  TMemo* memo = rtl::New<TMemo>(FHost.get());
  EXPECT_EQ(memo->GetLines()->GetCount(), 0);
  EXPECT_FALSE(memo->HandleAllocated());
  rtl::Free(memo);
}

TEST_F(StdCtrlsTest, MemoLineChangesGoThroughTheWindowAsTheRulesSay)
{
  using TChange = std::function<void(rtl::TStrings*)>;
  struct TCase {
    const char* Name;
    const wchar_t* Before;
    TChange Change;
    const wchar_t* After;
    int Count;
  };
  const TCase cases[] = {
      {"Add to an empty memo ends the text with CR LF", L"", [](auto* L) { L->Add(L"x"); }, L"x\r\n", 1},
      {"Add of a text holding CR LF adds two lines", L"", [](auto* L) { L->Add(L"a\r\nb"); }, L"a\r\nb\r\n", 2},
      {"Add after a last line without a break", L"a", [](auto* L) { L->Add(L"b"); }, L"a\r\nb", 2},
      {"Add after a last line with a break", L"a\r\n", [](auto* L) { L->Add(L"b"); }, L"a\r\nb\r\n", 2},
      {"Add of an empty line after an unbroken one", L"a", [](auto* L) { L->Add(L""); }, L"a\r\n\r\n", 2},
      {"Insert before the first line", L"a\r\nb", [](auto* L) { L->Insert(0, L"z"); }, L"z\r\na\r\nb", 3},
      {"Insert at a negative index does nothing", L"a", [](auto* L) { L->Insert(-1, L"z"); }, L"a", 1},
      {"Insert past the end does nothing", L"a\r\n", [](auto* L) { L->Insert(5, L"z"); }, L"a\r\n", 1},
      {"Delete takes the line and its break", L"a\r\nb\r\n", [](auto* L) { L->Delete(0); }, L"b\r\n", 1},
      {"Delete of the last line leaves the break before", L"a\r\nb", [](auto* L) { L->Delete(1); }, L"a\r\n", 1},
      {"Delete of a missing line does nothing", L"a", [](auto* L) { L->Delete(3); }, L"a", 1},
      {"Assigning a line keeps its break", L"a\r\nb\r\nc", [](auto* L) { L->SetStrings(1, L"X"); },
       L"a\r\nX\r\nc", 3},
      {"Text write makes every break CR LF", L"", [](auto* L) { L->SetText(L"a\nb\rc\r\n"); }, L"a\r\nb\r\nc\r\n",
       3},
      {"Clear empties the memo", L"a\r\nb", [](auto* L) { L->Clear(); }, L"", 0},
  };
  for (const TCase& c : cases) {
    TMemo* memo = AddMemo(c.Before);
    c.Change(memo->GetLines());
    EXPECT_EQ(memo->GetText(), String(c.After)) << c.Name;
    EXPECT_EQ(memo->GetLines()->GetCount(), c.Count) << c.Name;
    rtl::Free(memo);
  }
}

TEST_F(StdCtrlsTest, MemoLinesReadBackWhole)
{
  TMemo* memo = AddMemo();
  rtl::TStrings* lines = memo->GetLines();
  lines->Add(L"first");
  // The framework's memo cuts a line read back at 4,096 characters; ours
  // returns it whole.
  lines->Add(String(10000, L'a'));
  // Longer than the platform can copy with one EM_GETLINE.
  lines->Add(String(70000, L'b') + L"end");
  lines->Add(L"");
  lines->Add(L"last");

  ASSERT_EQ(lines->GetCount(), 5);
  EXPECT_EQ(lines->GetStrings(0), L"first");
  EXPECT_EQ(lines->GetStrings(1).size(), 10000u);
  EXPECT_TRUE(lines->GetStrings(1) == String(10000, L'a'));
  EXPECT_EQ(lines->GetStrings(2).size(), 70003u);
  EXPECT_TRUE(lines->GetStrings(2) == String(70000, L'b') + L"end");
  EXPECT_EQ(lines->GetStrings(3), L"");
  EXPECT_EQ(lines->GetStrings(4), L"last");
  EXPECT_EQ(lines->GetStrings(5), L"") << "a missing line reads empty";
  EXPECT_EQ(lines->GetStrings(-1), L"") << "a negative index is not the caret's line";
}

TEST_F(StdCtrlsTest, MemoHoldsLongTextsThroughEveryRoute)
{
  const String block = String(199998, L'x') + L"\r\n";
  TMemo* memo = AddMemo();
  memo->GetLines()->Add(String(199998, L'x'));
  // Sizes and a yes/no comparison: a dump of these texts helps nobody.
  EXPECT_EQ(memo->GetText().size(), block.size()) << "Add";
  EXPECT_TRUE(memo->GetText() == block) << "Add";

  memo->Clear();
  memo->GetLines()->SetText(block + block);
  EXPECT_EQ(memo->GetText().size(), 2 * block.size()) << "Lines.Text";

  // The new window must not cut the text at its first default limit.
  memo->SetScrollBars(TScrollStyle::ssBoth);
  EXPECT_EQ(memo->GetText().size(), 2 * block.size()) << "re-created window";
  EXPECT_EQ(memo->GetLines()->GetCount(), 2);

  TEdit* edit = AddChild<TEdit>({0, 0, 100, 21});
  edit->SetText(String(100000, L'e'));
  EXPECT_EQ(edit->GetText().size(), 100000u) << "single-line edit";
}

TEST_F(StdCtrlsTest, MemoSavesItsTextInTheAnsiCodePageWithoutAPreamble)
{
  const bool hasLatin = GetACP() == 1252;
  TMemo* memo = AddMemo();
  memo->GetLines()->Add(L"first");
  memo->GetLines()->Add(hasLatin ? L"caf\u00e9" : L"cafe");
  const std::filesystem::path file = std::filesystem::temp_directory_path() / L"kv-memo-save.txt";
  memo->GetLines()->SaveToFile(file.wstring());

  std::ifstream in(file, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  in.close();
  std::filesystem::remove(file);
  EXPECT_EQ(bytes, hasLatin ? std::string("first\r\ncaf\xE9\r\n") : std::string("first\r\ncafe\r\n"));
}

TEST_F(StdCtrlsTest, MemoCaretPosIsColumnAndLine)
{
  TMemo* memo = AddMemo(L"ab\r\ncdef\r\n");
  memo->SetCaretPos({3, 1});
  EXPECT_EQ(memo->GetSelStart(), 7);
  const TPoint caret = memo->GetCaretPos();
  EXPECT_EQ(caret.x, 3);
  EXPECT_EQ(caret.y, 1);
}

TEST_F(StdCtrlsTest, MemoTellsTheDialogKeysItWants)
{
  struct TCase {
    bool WantReturns;
    bool WantTabs;
  };
  TMemo* memo = AddMemo();
  for (const TCase c : {TCase{true, false}, TCase{false, true}, TCase{false, false}, TCase{true, true}}) {
    memo->SetWantReturns(c.WantReturns);
    memo->SetWantTabs(c.WantTabs);
    const LRESULT code = memo->Perform(WM_GETDLGCODE, 0, 0);
    EXPECT_EQ((code & DLGC_WANTALLKEYS) != 0, c.WantReturns) << c.WantReturns << c.WantTabs;
    EXPECT_EQ((code & DLGC_WANTTAB) != 0, c.WantTabs) << c.WantReturns << c.WantTabs;
  }
}

TEST_F(StdCtrlsTest, MemoWordWrapAndScrollBarsMakeTheWindowsStyle)
{
  TMemo* memo = AddChild<TMemo>();
  memo->SetText(L"kept");
  struct TCase {
    bool WordWrap;
    TScrollStyle ScrollBars;
    DWORD Set;
    DWORD Clear;
  };
  const TCase cases[] = {
      {true, TScrollStyle::ssNone, ES_MULTILINE, ES_AUTOHSCROLL | WS_HSCROLL | WS_VSCROLL},
      {false, TScrollStyle::ssVertical, ES_MULTILINE | ES_AUTOHSCROLL | WS_VSCROLL, WS_HSCROLL},
      {false, TScrollStyle::ssBoth, ES_MULTILINE | WS_HSCROLL | WS_VSCROLL, 0},
  };
  for (const TCase& c : cases) {
    memo->SetWordWrap(c.WordWrap);
    memo->SetScrollBars(c.ScrollBars);
    const auto style = static_cast<DWORD>(GetWindowLongW(memo->GetHandle(), GWL_STYLE));
    EXPECT_EQ(style & c.Set, c.Set) << c.WordWrap << int(c.ScrollBars);
    EXPECT_EQ(style & c.Clear, 0u) << c.WordWrap << int(c.ScrollBars);
    EXPECT_EQ(memo->GetText(), L"kept");
  }
}

// ---------------------------------------------------------------------------
// The edit

TEST_F(StdCtrlsTest, EditSelectionReadsAndReplaces)
{
  TEdit* edit = AddChild<TEdit>({0, 0, 200, 21});
  edit->SetText(L"hello world");
  edit->SetSelStart(6);
  edit->SetSelLength(5);
  EXPECT_EQ(edit->GetSelStart(), 6);
  EXPECT_EQ(edit->GetSelLength(), 5);
  EXPECT_EQ(edit->GetSelText(), L"world");

  edit->SetSelText(L"there");
  EXPECT_EQ(edit->GetText(), L"hello there");
  EXPECT_EQ(edit->GetSelLength(), 0);

  edit->SelectAll();
  EXPECT_EQ(edit->GetSelStart(), 0);
  EXPECT_EQ(edit->GetSelLength(), 11);
  edit->ClearSelection();
  EXPECT_EQ(edit->GetText(), L"");
}

TEST_F(StdCtrlsTest, EveryTextChangeOfAnEditOrMemoReportsOneChange)
{
  using TAction = std::function<void(TCustomEdit*)>;
  struct TCase {
    const char* Name;
    TAction Action;
  };
  const TCase cases[] = {
      {"Text", [](TCustomEdit* E) { E->SetText(L"new"); }},
      {"SelText", [](TCustomEdit* E) { E->SetSelText(L"typed"); }},
      {"typed character", [](TCustomEdit* E) { SendMessageW(E->GetHandle(), WM_CHAR, L'q', 1); }},
      {"Clear", [](TCustomEdit* E) { E->Clear(); }},
  };
  for (bool isMemo : {false, true}) {
    for (const TCase& c : cases) {
      TCustomEdit* edit = isMemo ? static_cast<TCustomEdit*>(AddChild<TMemo>()) : AddChild<TEdit>({0, 0, 200, 21});
      edit->SetText(L"old");
      edit->SetOnChange(TNotifyEvent::Bind<&TStdCtrlsEvents::Change>(FEvents.get()));
      FEvents->Changes = 0;
      c.Action(edit);
      kvtest::PumpMessages();
      EXPECT_EQ(FEvents->Changes, 1) << c.Name << (isMemo ? " (memo)" : " (edit)");
      rtl::Free(edit);
    }
  }
}

TEST_F(StdCtrlsTest, EditHonoursMaxLengthReadOnlyAndPasswordChar)
{
  TEdit* edit = AddChild<TEdit>({0, 0, 200, 21});
  edit->SetMaxLength(3);
  for (wchar_t c : String(L"abcde"))
    SendMessageW(edit->GetHandle(), WM_CHAR, c, 1);
  EXPECT_EQ(edit->GetText(), L"abc");

  edit->SetMaxLength(0);
  edit->SetReadOnly(true);
  SendMessageW(edit->GetHandle(), WM_CHAR, L'z', 1);
  EXPECT_EQ(edit->GetText(), L"abc");
  EXPECT_NE(GetWindowLongW(edit->GetHandle(), GWL_STYLE) & ES_READONLY, 0);

  edit->SetPasswordChar(L'#');
  EXPECT_EQ(SendMessageW(edit->GetHandle(), EM_GETPASSWORDCHAR, 0, 0), L'#');
  edit->SetCharCase(ecUpperCase);
  EXPECT_NE(GetWindowLongW(edit->GetHandle(), GWL_STYLE) & ES_UPPERCASE, 0);
  EXPECT_EQ(SendMessageW(edit->GetHandle(), EM_GETPASSWORDCHAR, 0, 0), L'#') << "kept by the new window";
  EXPECT_TRUE(edit->GetReadOnly());
  EXPECT_EQ(edit->GetText(), L"ABC") << "the new window cases the text it is given";
}

TEST_F(StdCtrlsTest, EditColoursComeFromItsColourAndFont)
{
  TEdit* edit = AddChild<TEdit>({0, 0, 200, 21});
  edit->SetColor(clYellow);
  edit->GetFont()->SetColor(clRed);
  HDC dc = CreateCompatibleDC(nullptr);
  for (UINT message : {WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC}) {
    SetBkColor(dc, RGB(0, 0, 0));
    SetTextColor(dc, RGB(0, 0, 0));
    const LRESULT brush = SendMessageW(FHost->GetHandle(), message, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(edit->GetHandle()));
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(edit->GetBrush()->GetHandle())) << message;
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 0)) << message;
    EXPECT_EQ(GetTextColor(dc), RGB(255, 0, 0)) << message;
  }
  DeleteDC(dc);
}

// ---------------------------------------------------------------------------
// The button

// A click handler may free its own button, however the click came: the
// press and release handling around it must not touch the button again.
TEST_F(StdCtrlsTest, AnEditMayFreeItselfFromItsOnChange)
{
  for (bool memo : {false, true}) {
    TCustomEdit* edit = memo ? static_cast<TCustomEdit*>(AddChild<TMemo>()) : AddChild<TEdit>();
    edit->SetOnChange(TNotifyEvent::Bind<&TStdCtrlsEvents::ChangeAndFree>(FEvents.get()));
    FEvents->Changes = 0;
    const int before = FHost->GetControlCount();
    edit->SetText(L"done");
    EXPECT_EQ(FEvents->Changes, 1) << memo;
    EXPECT_EQ(FHost->GetControlCount(), before - 1) << memo;
  }
}

TEST_F(StdCtrlsTest, AnEditMayFreeItselfFromItsOnEnter)
{
  TEdit* edit = AddChild<TEdit>({0, 0, 100, 21});
  edit->SetOnEnter(TNotifyEvent::Bind<&TStdCtrlsEvents::ChangeAndFree>(FEvents.get()));
  FEvents->Changes = 0;
  const int before = FHost->GetControlCount();
  edit->SetFocus();
  kvtest::PumpMessages();
  EXPECT_EQ(FEvents->Changes, 1);
  EXPECT_EQ(FHost->GetControlCount(), before - 1);
}

// The click of a non-windowed control reaches it through its parent's
// window; a handler may free that parent.
TEST_F(StdCtrlsTest, ALabelsClickMayFreeTheParentItStandsOn)
{
  auto* panel = AddChild<kvtest::TTestPanel>({0, 0, 200, 100});
  auto* label = rtl::New<TLabel>(panel);
  label->SetAutoSize(false);
  label->SetBounds(10, 10, 80, 20);
  label->SetParent(panel);
  label->SetOnClick(TNotifyEvent::Bind<&TStdCtrlsEvents::ClickAndFreeParent>(FEvents.get()));
  FEvents->Clicks = 0;
  const int before = FHost->GetControlCount();
  const HWND window = panel->GetHandle();
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
  kvtest::PumpMessages();
  EXPECT_EQ(FEvents->Clicks, 1);
  EXPECT_EQ(FHost->GetControlCount(), before - 1);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(StdCtrlsTest, AButtonMayFreeItselfFromItsClick)
{
  using TPress = std::function<void(HWND)>;
  struct TCase {
    const char* Name;
    TPress Press;
  };
  const TCase cases[] = {
      {"BM_CLICK", [](HWND H) { SendMessageW(H, BM_CLICK, 0, 0); }},
      {"mouse",
       [](HWND H) {
         SendMessageW(H, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
         SendMessageW(H, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
       }},
      {"Space with focus",
       [](HWND H) {
         SetFocus(H);
         SendMessageW(H, WM_KEYDOWN, VK_SPACE, 0x00390001);
         SendMessageW(H, WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001));
       }},
  };
  for (const TCase& c : cases) {
    TButton* button = AddChild<TButton>({10, 10, 85, 35});
    button->SetOnClick(TNotifyEvent::Bind<&TStdCtrlsEvents::ClickAndFree>(FEvents.get()));
    FEvents->Clicks = 0;
    const int before = FHost->GetControlCount();
    c.Press(button->GetHandle());
    kvtest::PumpMessages();
    EXPECT_EQ(FEvents->Clicks, 1) << c.Name;
    EXPECT_EQ(FHost->GetControlCount(), before - 1) << c.Name;
  }
}

TEST_F(StdCtrlsTest, AButtonClickedByKeyboardOrMouseReachesOnClickOnce)
{
  using TPress = std::function<void(TButton*)>;
  struct TCase {
    const char* Name;
    TPress Press;
  };
  const TCase cases[] = {
      {"BM_CLICK", [](TButton* B) { SendMessageW(B->GetHandle(), BM_CLICK, 0, 0); }},
      {"Space with focus",
       [](TButton* B) {
         B->SetFocus();
         SendMessageW(B->GetHandle(), WM_KEYDOWN, VK_SPACE, 0x00390001);
         SendMessageW(B->GetHandle(), WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001));
       }},
      {"mouse",
       [](TButton* B) {
         SendMessageW(B->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
         SendMessageW(B->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
       }},
      {"Enter on the default button",
       [](TButton* B) {
         B->SetDefault(true);
         B->GetParent()->Perform(CM_DIALOGKEY, VK_RETURN, 0);
       }},
      {"Esc on the cancel button",
       [](TButton* B) {
         B->SetCancel(true);
         B->GetParent()->Perform(CM_DIALOGKEY, VK_ESCAPE, 0);
       }},
      {"accelerator", [](TButton* B) { B->GetParent()->Perform(CM_DIALOGCHAR, L'g', 0); }},
  };
  for (const TCase& c : cases) {
    TButton* button = AddChild<TButton>({10, 10, 85, 35});
    button->SetText(L"&Go");
    button->SetOnClick(TNotifyEvent::Bind<&TStdCtrlsEvents::Click>(FEvents.get()));
    FEvents->Clicks = 0;
    c.Press(button);
    kvtest::PumpMessages();
    EXPECT_EQ(FEvents->Clicks, 1) << c.Name;
    rtl::Free(button);
  }
}

// A click hands the button's ModalResult to its form, mrNone included (so
// a button without one keeps a modal form open), before OnClick runs.
TEST_F(StdCtrlsTest, AClickedButtonGivesItsFormItsModalResult)
{
  struct TCase {
    TModalResult Before;
    TModalResult Button;
  };
  for (const TCase c : {TCase{mrNone, mrOk}, TCase{mrNone, mrCancel}, TCase{mrCancel, mrNone}}) {
    TForm* form = rtl::NewWith<TForm>([](TForm* F) { F->CreateNew(Application()); });
    TButton* button = rtl::New<TButton>(form);
    button->SetParent(form);
    button->SetModalResult(c.Button);
    form->SetModalResult(c.Before);
    SendMessageW(button->GetHandle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form->GetModalResult(), c.Button) << c.Before << " " << c.Button;
    rtl::Free(form);
  }
}

TEST_F(StdCtrlsTest, EnterClicksTheFocusedButtonOrElseTheDefaultOne)
{
  TButton* first = AddChild<TButton>({0, 0, 75, 25});
  TButton* second = AddChild<TButton>({80, 0, 155, 25});
  TEdit* edit = AddChild<TEdit>({0, 40, 100, 61});
  second->SetDefault(true);
  EXPECT_TRUE(second->GetActive());
  EXPECT_EQ(GetWindowLongW(second->GetHandle(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);

  first->SetFocus();
  EXPECT_TRUE(first->GetActive());
  EXPECT_FALSE(second->GetActive());
  EXPECT_EQ(GetWindowLongW(first->GetHandle(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(GetWindowLongW(second->GetHandle(), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);

  edit->SetFocus();
  EXPECT_FALSE(first->GetActive());
  EXPECT_TRUE(second->GetActive());
}

// A button that paints itself.
class TStdCtrlsOwnerDrawButton : public TButton {
  RTL_CLASS(TStdCtrlsOwnerDrawButton, TButton)
  RTL_MESSAGES(RTL_MESSAGE(CN_DRAWITEM, CNDrawItem))

 public:
  int Draws = 0;

 protected:
  void CreateParams(TCreateParams& AParams) override
  {
    inherited::CreateParams(AParams);
    AParams.Style |= BS_OWNERDRAW;
  }

 private:
  void CNDrawItem(TWMDrawItem& AMessage)
  {
    ++Draws;
    FillRect(AMessage.DrawItemStruct->hDC, &AMessage.DrawItemStruct->rcItem,
             static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    AMessage.Result = TRUE;
  }
};

TEST_F(StdCtrlsTest, AnOwnerDrawnButtonPaintsInCNDrawItemAndStaysOwnerDrawn)
{
  auto* button = AddChild<TStdCtrlsOwnerDrawButton>({0, 0, 75, 25});
  button->SetOnClick(TNotifyEvent::Bind<&TStdCtrlsEvents::Click>(FEvents.get()));
  RedrawWindow(button->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_GT(button->Draws, 0);

  button->SetDefault(true);
  button->SetFocus();
  EXPECT_EQ(GetWindowLongW(button->GetHandle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  SendMessageW(button->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_EQ(FEvents->Clicks, 1);
}

// ---------------------------------------------------------------------------
// The list box

TEST_F(StdCtrlsTest, ListBoxItemsKeptWithoutAWindowGoIntoIt)
{
  TListBox* list = rtl::New<TListBox>(FHost.get());
  list->SetSorted(true);
  rtl::TObject* tag = FEvents.get();
  list->GetItems()->Add(L"pear");
  list->GetItems()->AddObject(L"Apple", tag);
  list->GetItems()->Add(L"fig");
  list->SetItemIndex(1);
  EXPECT_FALSE(list->HandleAllocated());

  list->SetBoundsRect({0, 0, 120, 100});
  list->SetParent(FHost.get());
  ASSERT_TRUE(list->HandleAllocated());
  ASSERT_EQ(list->GetItems()->GetCount(), 3);
  EXPECT_EQ(list->GetItems()->GetStrings(0), L"Apple");
  EXPECT_EQ(list->GetItems()->GetStrings(1), L"fig");
  EXPECT_EQ(list->GetItems()->GetStrings(2), L"pear");
  EXPECT_EQ(list->GetItems()->GetObjects(0), tag);
  EXPECT_EQ(list->GetItemIndex(), 1);
  EXPECT_EQ(list->GetItems()->IndexOf(L"PEAR"), 2);

  // And survive a new window.
  list->SetMultiSelect(true);
  EXPECT_EQ(list->GetItems()->GetCount(), 3);
  EXPECT_EQ(list->GetItems()->GetObjects(0), tag);
  EXPECT_THROW(list->GetItems()->GetStrings(3), rtl::EListError);
}

// Without a window the kept item index stays on its item as the window's
// selection does, so the next window selects the same item.
TEST_F(StdCtrlsTest, AListBoxsItemIndexFollowsItsItemWithOrWithoutAWindow)
{
  using TChange = std::function<void(TListBox*)>;
  struct TCase {
    const char* Name;
    TChange Change;
    int ItemIndex;
  };
  const TCase cases[] = {
      {"Clear", [](TListBox* L) { L->Clear(); }, -1},
      {"Delete of the selected item", [](TListBox* L) { L->GetItems()->Delete(2); }, -1},
      {"Delete before it", [](TListBox* L) { L->GetItems()->Delete(0); }, 1},
      {"Delete after it", [](TListBox* L) { L->GetItems()->Delete(3); }, 2},
      {"Insert before it", [](TListBox* L) { L->GetItems()->Insert(0, L"z"); }, 3},
      {"Insert after it", [](TListBox* L) { L->GetItems()->Insert(3, L"z"); }, 2},
      {"Sorted Add before it", [](TListBox* L) { L->SetSorted(true); L->GetItems()->Add(L"a0"); }, 3},
      {"Assigning its text", [](TListBox* L) { L->GetItems()->SetStrings(2, L"z"); }, 2},
      {"Move of it", [](TListBox* L) { L->GetItems()->Move(2, 0); }, -1},
  };
  for (const TCase& c : cases) {
    for (bool windowed : {false, true}) {
      TListBox* list = rtl::New<TListBox>(FHost.get());
      if (windowed) {
        list->SetBoundsRect({0, 0, 100, 100});
        list->SetParent(FHost.get());
      }
      for (const wchar_t* item : {L"a", L"b", L"c", L"d"})
        list->GetItems()->Add(item);
      list->SetItemIndex(2);
      c.Change(list);
      EXPECT_EQ(list->GetItemIndex(), c.ItemIndex) << c.Name << (windowed ? " (window)" : "");
      if (!windowed) {
        list->SetBoundsRect({0, 0, 100, 100});
        list->SetParent(FHost.get());
        EXPECT_EQ(list->GetItemIndex(), c.ItemIndex) << c.Name << " (its first window)";
      }
      rtl::Free(list);
    }
  }
}

TEST_F(StdCtrlsTest, ListBoxSelectionSingleAndMultiple)
{
  TListBox* list = AddChild<TListBox>({0, 0, 120, 100});
  for (const wchar_t* item : {L"a", L"b", L"c", L"d"})
    list->GetItems()->Add(item);
  list->SetOnClick(TNotifyEvent::Bind<&TStdCtrlsEvents::Click>(FEvents.get()));

  list->SetItemIndex(2);
  EXPECT_EQ(list->GetItemIndex(), 2);
  EXPECT_TRUE(list->GetSelected(2));
  EXPECT_EQ(FEvents->Clicks, 0) << "a selection made by code is no click";

  // A click on the second item selects it and reports a click.
  const TRect second = list->ItemRect(1);
  SendMessageW(list->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(second.left + 2, second.top + 2));
  SendMessageW(list->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(second.left + 2, second.top + 2));
  kvtest::PumpMessages();
  EXPECT_EQ(list->GetItemIndex(), 1);
  EXPECT_EQ(FEvents->Clicks, 1);
  EXPECT_EQ(list->ItemAtPos({second.left + 2, second.top + 2}, true), 1);
  EXPECT_EQ(list->ItemAtPos({2, 95}, true), -1);
  EXPECT_EQ(list->ItemAtPos({2, 95}, false), 4);

  list->SetMultiSelect(true);
  list->SetSelected(0, true);
  list->SetSelected(3, true);
  EXPECT_EQ(list->GetSelCount(), 2);
  EXPECT_TRUE(list->GetSelected(3));
  EXPECT_FALSE(list->GetSelected(1));
  list->SelectAll();
  EXPECT_EQ(list->GetSelCount(), 4);
  list->ClearSelection();
  EXPECT_EQ(list->GetSelCount(), 0);
}

TEST_F(StdCtrlsTest, AnOwnerDrawnListBoxMeasuresAndDrawsThroughItsEvents)
{
  for (TListBoxStyle style : {lbOwnerDrawFixed, lbOwnerDrawVariable}) {
    FEvents->Measured.clear();
    FEvents->Drawn.clear();
    FEvents->DrawnRects.clear();
    TListBox* list = AddChild<TListBox>({0, 0, 120, 150});
    list->SetStyle(style);
    list->SetItemHeight(20);
    list->SetOnMeasureItem(TMeasureItemEvent::Bind<&TStdCtrlsEvents::MeasureItem>(FEvents.get()));
    list->SetOnDrawItem(TDrawItemEvent::Bind<&TStdCtrlsEvents::DrawItem>(FEvents.get()));
    for (const wchar_t* item : {L"a", L"b", L"c"})
      list->GetItems()->Add(item);
    list->SetItemIndex(1);
    FEvents->Drawn.clear();
    FEvents->DrawnRects.clear();
    RedrawWindow(list->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);

    const bool variable = style == lbOwnerDrawVariable;
    const std::vector<int> measured = variable ? std::vector<int>{0, 1, 2} : std::vector<int>{};
    EXPECT_EQ(FEvents->Measured, measured) << int(style);
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(list->ItemRect(i).bottom - list->ItemRect(i).top, variable ? 10 + 5 * i : 20) << int(style) << i;
    ASSERT_EQ(FEvents->Drawn.size(), 3u) << int(style);
    for (std::size_t i = 0; i < FEvents->Drawn.size(); ++i) {
      const auto [index, state] = FEvents->Drawn[i];
      EXPECT_EQ(index, static_cast<int>(i)) << int(style);
      EXPECT_EQ(state.Contains(odSelected), index == 1) << int(style) << index;
      EXPECT_TRUE(EqualRect(&FEvents->DrawnRects[i], &static_cast<const RECT&>(list->ItemRect(index))))
          << int(style) << index;
    }
    rtl::Free(list);
  }
}

// ---------------------------------------------------------------------------
// The label

TEST_F(StdCtrlsTest, ALabelSizesItselfToItsText)
{
  TLabel* label = AddChild<TLabel>({100, 10, 165, 27});
  label->SetText(L"short");
  const int shortWidth = label->GetWidth();
  EXPECT_GT(shortWidth, 0);
  EXPECT_GT(label->GetHeight(), 0);

  label->SetText(L"a good deal longer");
  EXPECT_GT(label->GetWidth(), shortWidth);
  EXPECT_EQ(label->GetLeft(), 100);

  // Right-aligned, it grows to the left.
  const int right = label->GetLeft() + label->GetWidth();
  label->SetAlignment(taRightJustify);
  label->SetText(L"x");
  EXPECT_EQ(label->GetLeft() + label->GetWidth(), right);

  label->SetText(L"");
  EXPECT_GT(label->GetHeight(), 0) << "an empty caption keeps the height of a line";

  label->SetAutoSize(false);
  label->SetBounds(0, 0, 300, 40);
  label->SetText(L"no longer sized");
  EXPECT_EQ(label->GetWidth(), 300);
}

TEST_F(StdCtrlsTest, ALabelPaintsItsTextOnItsParentAndOnlyThereIfTransparent)
{
  TLabel* label = AddChild<TLabel>({4, 4, 60, 20});
  label->GetFont()->SetColor(clRed);
  label->GetFont()->SetHeight(-20);
  label->SetColor(clBlue);
  label->SetText(L"WWW");
  const TRect bounds = label->GetBoundsRect();

  struct TCase {
    bool Transparent;
    bool BlueInside;
  };
  for (const TCase c : {TCase{false, true}, TCase{true, false}}) {
    label->SetTransparent(c.Transparent);
    EXPECT_EQ(label->GetControlStyle().Contains(csOpaque), !c.Transparent);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 100);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    FHost->SetColor(clWhite);
    FHost->PaintTo(dc, 0, 0);
    int red = 0;
    int blue = 0;
    int outside = 0;
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 200; ++x) {
        const COLORREF pixel = GetPixel(dc, x, y);
        const POINT point{x, y};
        const bool inside = PtInRect(&bounds, point);
        if (!inside && pixel != RGB(255, 255, 255))
          ++outside;
        if (inside && pixel == RGB(255, 0, 0))
          ++red;
        if (inside && pixel == RGB(0, 0, 255))
          ++blue;
      }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    EXPECT_GT(red, 0) << c.Transparent;
    EXPECT_EQ(blue > 0, c.BlueInside) << c.Transparent;
    EXPECT_EQ(outside, 0) << c.Transparent;
  }
}

TEST_F(StdCtrlsTest, ALabelsAcceleratorFocusesItsControlUntilThatGoes)
{
  TLabel* label = AddChild<TLabel>({0, 0, 60, 20});
  TEdit* edit = AddChild<TEdit>({0, 30, 100, 51});
  TButton* button = AddChild<TButton>({0, 60, 75, 85});
  label->SetText(L"&Name");
  label->SetFocusControl(edit);
  button->SetFocus();

  EXPECT_EQ(FHost->Perform(CM_DIALOGCHAR, L'n', 0), 1);
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(FHost->Perform(CM_DIALOGCHAR, L'x', 0), 0);

  rtl::Free(edit);
  EXPECT_EQ(label->GetFocusControl(), nullptr);
  EXPECT_EQ(FHost->Perform(CM_DIALOGCHAR, L'n', 0), 0);
}

// ---------------------------------------------------------------------------
// Buttons and actions

// A button control with a checked state of its own (as a check box has).
class TStdCtrlsCheckButton : public TButtonControl {
  RTL_CLASS(TStdCtrlsCheckButton, TButtonControl)

 public:
  bool IsChecked() { return GetChecked(); }
  void SetIsChecked(bool AValue) { SetChecked(AValue); }
  // What SetAction does for an action that is still being read.
  void ApplyDefaults(TBasicAction* AAction) { ActionChange(AAction, true); }
  bool SawClicksDisabled = false;

 protected:
  bool GetChecked() override { return FChecked; }
  // As a check box: only a change of state could click.
  void SetChecked(bool AValue) override
  {
    if (AValue != FChecked)
      SawClicksDisabled = GetClicksDisabled();
    FChecked = AValue;
  }

 private:
  bool FChecked = false;
};

TEST_F(StdCtrlsTest, AButtonFollowsItsActionAndAClickExecutesIt)
{
  TAction* action = rtl::New<TAction>(FHost.get());
  action->SetCaption(L"&Run");
  action->SetHint(L"Runs it");
  action->SetOnExecute(TNotifyEvent::Bind<&TStdCtrlsEvents::Click>(FEvents.get()));
  TButton* button = AddChild<TButton>({10, 10, 85, 35});
  button->SetAction(action);
  EXPECT_EQ(button->GetText(), L"&Run");
  EXPECT_EQ(button->GetHint(), L"Runs it");
  EXPECT_EQ(rtl::ClassOf<TControlActionLink>(button->GetActionLink()->ClassType()),
            TControlActionLinkClass::Of<TButtonActionLink>());

  SendMessageW(button->GetHandle(), BM_CLICK, 0, 0);
  kvtest::PumpMessages();
  EXPECT_EQ(FEvents->Clicks, 1) << "the native click runs the action's OnExecute";

  action->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(button->GetHandle()));
  rtl::Free(action);
  EXPECT_EQ(button->GetAction(), nullptr);
}

TEST_F(StdCtrlsTest, AButtonTakesTheActionsCheckedStateWithoutAClick)
{
  TAction* action = rtl::New<TAction>(FHost.get());
  auto* button = AddChild<TStdCtrlsCheckButton>();
  button->SetAction(action);
  action->SetChecked(true);
  EXPECT_TRUE(button->IsChecked());
  EXPECT_TRUE(button->SawClicksDisabled) << "the link sets the state with clicks disabled";
  EXPECT_TRUE(button->GetActionLink()->IsCheckedLinked());
  button->SetIsChecked(false);
  EXPECT_FALSE(button->GetActionLink()->IsCheckedLinked()) << "the button's own state differs now";
}

TEST_F(StdCtrlsTest, WhileReadingAButtonKeepsItsOwnValuesOverTheActions)
{
  TAction* action = rtl::New<TAction>(FHost.get());
  action->SetCaption(L"Bold");
  action->SetChecked(true);
  action->SetEnabled(false);
  struct Row {
    const char* Name;
    String Caption;
    bool Checked;
    String ExpectedCaption;
  };
  const Row rows[] = {
      {"blank button", L"", false, L"Bold"},
      {"button with a caption", L"Heavy", false, L"Heavy"},
      {"checked button", L"", true, L"Bold"},
  };
  for (const Row& row : rows) {
    auto* button = AddChild<TStdCtrlsCheckButton>();
    button->SetText(row.Caption);
    button->SetIsChecked(row.Checked);
    button->ApplyDefaults(action);
    EXPECT_EQ(button->GetText(), row.ExpectedCaption) << row.Name;
    EXPECT_TRUE(button->IsChecked()) << row.Name;
    EXPECT_FALSE(button->GetEnabled()) << row.Name << ": enabled is the default, so it follows";
    rtl::Free(button);
  }
}

// ---------------------------------------------------------------------------
// What a form file keeps of each control

// The text form of the control written as a root.
std::string FormTextOf(rtl::TComponent* AComponent)
{
  rtl::TOwnedPtr<rtl::TMemoryStream> binary(rtl::New<rtl::TMemoryStream>());
  rtl::WriteComponent(binary.get(), AComponent);
  binary->SetPosition(0);
  rtl::TOwnedPtr<rtl::TMemoryStream> text(rtl::New<rtl::TMemoryStream>());
  rtl::ObjectBinaryToText(binary.get(), text.get());
  return {static_cast<const char*>(text->Memory()), static_cast<std::size_t>(text->GetSize())};
}

std::size_t CountOf(const std::string& AText, const std::string& APart)
{
  std::size_t count = 0;
  for (std::size_t at = AText.find(APart); at != std::string::npos; at = AText.find(APart, at + 1))
    ++count;
  return count;
}

// The window text is stored once, under the name the control publishes it
// by: a memo's in Lines, an edit's as Text, a label's and a button's as
// Caption.
TEST_F(StdCtrlsTest, EachControlStoresItsTextOnceUnderItsOwnProperty)
{
  struct Row {
    const char* Name;
    std::function<TControl*()> Make;
    const char* Stored;
    std::vector<const char*> Absent;
  };
  const Row rows[] = {
      {"memo", [&] { return AddMemo(L"alpha\r\nbeta"); }, "Lines.Strings = (", {"Caption", "Text =", "alpha'#13"}},
      {"edit", [&] { auto* edit = AddChild<TEdit>(); edit->SetText(L"alpha"); return edit; }, "Text = 'alpha'",
       {"Caption"}},
      {"label", [&] { auto* label = AddChild<TLabel>(); label->SetCaption(L"alpha"); return label; },
       "Caption = 'alpha'", {"Text ="}},
      {"button", [&] { auto* button = AddChild<TButton>(); button->SetCaption(L"alpha"); return button; },
       "Caption = 'alpha'", {"Text ="}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    TControl* control = row.Make();
    control->SetName(L"Subject");
    const std::string text = FormTextOf(control);
    EXPECT_EQ(CountOf(text, row.Stored), 1u) << text;
    EXPECT_EQ(CountOf(text, "alpha"), 1u) << text;
    for (const char* absent : row.Absent)
      EXPECT_EQ(CountOf(text, absent), 0u) << absent << " in\n" << text;
    // Nobody docks here, and a plain control is no dock site.
    EXPECT_FALSE(rtl::IsPublishedProp(control, L"DockSite"));
    EXPECT_FALSE(rtl::IsPublishedProp(control, L"OnDockDrop"));
    rtl::Free(control);
  }
}

TEST_F(StdCtrlsTest, AMemoReadBackHasItsLinesAndTheSameFormText)
{
  rtl::RegisterClasses({rtl::TPersistentClass::Of<TMemo>()});
  TMemo* memo = AddMemo(L"alpha\r\nbeta");
  memo->SetName(L"Notes");
  memo->SetAlign(alClient);
  const std::string text = FormTextOf(memo);

  rtl::TOwnedPtr<rtl::TMemoryStream> binary(rtl::New<rtl::TMemoryStream>());
  rtl::WriteComponent(binary.get(), memo);
  binary->SetPosition(0);
  rtl::Free(memo);
  auto* copy = rtl::New<TMemo>(FHost.get());
  copy->SetParent(FHost.get());
  rtl::ReadComponent(binary.get(), copy);
  ASSERT_EQ(copy->GetLines()->GetCount(), 2);
  EXPECT_EQ(copy->GetLines()->GetStrings(1), L"beta");
  EXPECT_EQ(copy->GetAlign(), alClient);
  EXPECT_EQ(FormTextOf(copy), text);
}

}  // namespace
}  // namespace vcl
