// The mask editor on real windows: keys go through the editor's window and
// its inner EDIT window as typed keys do, and the keys the extended mode
// sends itself reach the EDIT window without the mask logic.
#include <gtest/gtest.h>

#include "editors/cxMaskEdit.h"
#include "platform/rtl/ClassesFiler.h"
#include "platform/rtl/ClassesStreams.h"
#include "tests/support/TestHost.h"

namespace {

// Keys in a typed script: characters go as WM_CHAR, these as WM_KEYDOWN.
constexpr wchar_t kMaskKeyBase = 0xE000;
constexpr wchar_t kHome = kMaskKeyBase + VK_HOME;
constexpr wchar_t kLeft = kMaskKeyBase + VK_LEFT;
constexpr wchar_t kDelete = kMaskKeyBase + VK_DELETE;
constexpr wchar_t kRight = kMaskKeyBase + VK_RIGHT;

class TcxMaskEditTestFixture : public kvtest::THostedTest {
 protected:
  void SetUp() override
  {
    THostedTest::SetUp();
    Edit = AddChild<TcxMaskEdit>(TRect{10, 10, 200, 31});
    Edit->HandleNeeded();
  }

  HWND InnerWindow() { return Edit->GetInnerControl()->GetHandle(); }

  void Type(const String& AScript)
  {
    for (wchar_t c : AScript)
      if (c >= kMaskKeyBase)
        SendMessageW(InnerWindow(), WM_KEYDOWN, c - kMaskKeyBase, 1);
      else
        SendMessageW(InnerWindow(), WM_CHAR, c, 1);
  }

  void UseMask(TcxEditMaskKind AKind, const String& AMask)
  {
    Edit->GetMaskEditProperties()->SetMaskKind(AKind);
    Edit->GetMaskEditProperties()->SetEditMask(AMask);
    Edit->SetFocus();
  }

  TcxMaskEdit* Edit = nullptr;
};

struct TMaskEditTypingCase {
  TcxEditMaskKind Kind;
  const wchar_t* Mask;
  String Script;
  const wchar_t* Text;
  int SelStart;
};

class MaskEditTyping : public TcxMaskEditTestFixture, public testing::WithParamInterface<TMaskEditTypingCase> {};

TEST_P(MaskEditTyping, KeysFollowTheMask)
{
  const TMaskEditTypingCase& c = GetParam();
  UseMask(c.Kind, c.Mask);
  Type(c.Script);
  EXPECT_EQ(Edit->GetEditText(), c.Text);
  EXPECT_EQ(Edit->GetSelStart(), c.SelStart);
}

constexpr auto kStandard = TcxEditMaskKind::emkStandard;
constexpr auto kRegExpr = TcxEditMaskKind::emkRegExpr;
constexpr auto kRegExprEx = TcxEditMaskKind::emkRegExprEx;

INSTANTIATE_TEST_SUITE_P(
    Masks, MaskEditTyping,
    testing::Values(
        // Standard masks write over their positions and skip literals.
        TMaskEditTypingCase{kStandard, L"(999)", String(1, kHome) + L"1", L"(1__)", 2},
        TMaskEditTypingCase{kStandard, L"(999)", String(1, kHome) + L"1\b", L"(___)", 1},
        TMaskEditTypingCase{kStandard, L"(999)", String(1, kHome) + L"12" + kHome, L"(12_)", 1},
        TMaskEditTypingCase{kStandard, L"0000", String(1, kHome) + L"a", L"____", 0},
        TMaskEditTypingCase{kStandard, L"00-00", String(1, kHome) + L"123", L"12-3_", 4},
        // Regular expressions: the text must follow from its start.
        TMaskEditTypingCase{kRegExpr, L"\\d+", L"a", L"", 0},
        TMaskEditTypingCase{kRegExpr, L"\\d+", String(L"12") + kHome + L"3", L"312", 1},
        TMaskEditTypingCase{kRegExpr, L"ab|cd", L"ad", L"a", 1},
        // A Backspace after which the tail no longer fits cuts the tail and
        // still takes the character before the caret out of the head: the
        // next keys then follow the text as it is.
        TMaskEditTypingCase{kRegExpr, L"a(bc|d)", String(L"abc") + kLeft + L"\bd" + kLeft + kLeft + kRight + L"d",
                            L"ad", 2},
        // The extended mode types the literals the expression fixes and
        // takes them back with the character before them.
        TMaskEditTypingCase{kRegExprEx, L"\\d\\d':'\\d\\d", L"12", L"12:", 3},
        TMaskEditTypingCase{kRegExprEx, L"\\d\\d':'\\d\\d", L"12\b", L"1", 1},
        TMaskEditTypingCase{kRegExprEx, L"\\d\\d':'\\d\\d", String(L"12") + kLeft, L"12:", 1},
        TMaskEditTypingCase{kRegExprEx, L"\\d\\d':'\\d\\d", L"1234", L"12:34", 5},
        TMaskEditTypingCase{kRegExprEx, L"'+7 '\\d+", String(1, kHome) + kDelete, L"+7 ", 0},
        TMaskEditTypingCase{kRegExprEx, L"'+7 '\\d+", L"5", L"+7 5", 4}));

TEST_F(TcxMaskEditTestFixture, TheExtendedModesEmptyValueIsItsLiteralPrefix)
{
  UseMask(kRegExprEx, L"'+7 '\\d+");
  EXPECT_EQ(Edit->Mode()->GetEmptyString(), L"+7 ");
  EXPECT_TRUE(Edit->Mode()->IsFullValidText(L"+7 "));
  EXPECT_TRUE(Edit->Mode()->IsFullValidText(L"+7 12"));
  EXPECT_FALSE(Edit->Mode()->IsFullValidText(L"+8"));
}

TEST_F(TcxMaskEditTestFixture, TypingOverASelectionFromTheStartKeepsTheLiteralPrefix)
{
  UseMask(kRegExprEx, L"'+7 '\\d+");
  Type(L"12");
  ASSERT_EQ(Edit->GetEditText(), L"+7 12");
  Edit->SelectAll();
  Type(L"9");
  EXPECT_EQ(Edit->GetEditText(), L"+7 9");
}

TEST_F(TcxMaskEditTestFixture, ReplacingASelectionCutsTheTailThatNoLongerFits)
{
  UseMask(kRegExpr, L"ab|cd");
  Type(L"ab");
  Edit->SetSelection(0, 1);
  Type(L"c");
  EXPECT_EQ(Edit->GetEditText(), L"c");
}

TEST_F(TcxMaskEditTestFixture, PastingFillsTheStandardPositions)
{
  UseMask(kStandard, L"00-00");
  Type(String(1, kHome));
  Edit->SetSelection(0, 0);
  Edit->SetSelText(L"12345");
  EXPECT_EQ(Edit->GetEditText(), L"12-34");
  EXPECT_EQ(Edit->GetSelStart(), 5);
}

// Ctrl+Left goes where Home goes, not to the start of the word: in the
// standard mode onto the first mask position, past a leading literal.
TEST_F(TcxMaskEditTestFixture, CtrlLeftGoesHome)
{
  struct TCase {
    TcxEditMaskKind Kind;
    const wchar_t* Mask;
    String Typed;
    int SelStart;
    const wchar_t* Then;
    const wchar_t* Text;
  };
  const TCase cases[] = {
      {kRegExpr, L"\\d+", L"123", 0, L"4", L"4123"},
      {kRegExpr, L"[a-z' ']*", L"ab cd", 0, L"x", L"xab cd"},
      {kStandard, L"(999)", String(1, kHome) + L"12", 1, L"3", L"(32_)"},
  };
  for (const TCase& c : cases) {
    UseMask(c.Kind, c.Mask);
    Edit->SetEditText(L"");
    Type(c.Typed);
    BYTE keys[256];
    GetKeyboardState(keys);
    BYTE ctrl[256];
    std::copy(std::begin(keys), std::end(keys), std::begin(ctrl));
    ctrl[VK_CONTROL] = 0x80;
    SetKeyboardState(ctrl);
    SendMessageW(InnerWindow(), WM_KEYDOWN, VK_LEFT, 1);
    SetKeyboardState(keys);
    EXPECT_EQ(Edit->GetSelStart(), c.SelStart) << c.Mask;
    Type(c.Then);
    EXPECT_EQ(Edit->GetEditText(), c.Text) << c.Mask;
  }
}

TEST_F(TcxMaskEditTestFixture, AnIncompleteTextFailsValidation)
{
  struct TCase {
    TcxEditMaskKind Kind;
    const wchar_t* Mask;
    const wchar_t* Typed;
    bool IgnoreMaskBlank;
    bool Valid;
  };
  const TCase cases[] = {
      {kStandard, L"000", L"12", false, false},  {kStandard, L"000", L"123", false, true},
      {kRegExpr, L"\\d\\d", L"1", false, false},
      {kRegExpr, L"\\d\\d", L"1", true, true},   {kRegExprEx, L"\\d':'\\d", L"1", false, false},
      {kRegExprEx, L"\\d':'\\d", L"12", false, true},
  };
  for (const TCase& c : cases) {
    Edit->GetMaskEditProperties()->SetIgnoreMaskBlank(c.IgnoreMaskBlank);
    UseMask(c.Kind, c.Mask);
    Edit->SetEditText(L"");
    Type(String(1, kHome) + c.Typed);
    EXPECT_EQ(Edit->ValidateEdit(false), c.Valid) << c.Mask << L" " << c.Typed;
    if (!c.Valid) {
      EXPECT_EQ(Edit->GetValidationErrorText(), L"The edit value is invalid");
    }
    Edit->Reset();
  }
  // An untouched standard mask counts as valid only with IgnoreMaskBlank.
  UseMask(kStandard, L"000");
  Edit->GetMaskEditProperties()->SetIgnoreMaskBlank(false);
  EXPECT_FALSE(Edit->Mode()->IsFullValidText(L"___"));
  Edit->GetMaskEditProperties()->SetIgnoreMaskBlank(true);
  EXPECT_TRUE(Edit->Mode()->IsFullValidText(L"___"));
  EXPECT_FALSE(Edit->Mode()->IsFullValidText(L"1__"));
}

// ---------------------------------------------------------------------------
// The properties

TEST(MaskEditProperties, MaskRules)
{
  rtl::TOwnedPtr<TcxMaskEditProperties> properties(rtl::New<TcxMaskEditProperties>(nullptr));
  properties->SetEditMask(L"   ");
  EXPECT_FALSE(properties->IsMasked());

  properties->SetMaskKind(kRegExpr);
  properties->SetEditMask(L"\\d+");
  try {
    properties->SetEditMask(L"(a");
    FAIL() << "no exception";
  } catch (const EcxMaskEditError& E) {
    EXPECT_EQ(E.Message(), L"Regular expression errors:\r\nMissing ')'");
  }
  EXPECT_EQ(properties->GetEditMask(), L"\\d+");

  properties->SetCaseInsensitive(false);
  EXPECT_FALSE(properties->GetCaseInsensitive());
  properties->SetMaskCharCase(vcl::TEditCharCase::ecUpperCase);
  EXPECT_TRUE(properties->GetCaseInsensitive());
  properties->SetCaseInsensitive(false);
  EXPECT_TRUE(properties->GetCaseInsensitive());
}

TEST(MaskEditProperties, DisplayValuesOfAStandardMask)
{
  rtl::TOwnedPtr<TcxMaskEditProperties> properties(rtl::New<TcxMaskEditProperties>(nullptr));
  properties->SetEditMask(L"00-00;0;_");
  rtl::Variant display;
  properties->PrepareDisplayValue(rtl::Variant(String(L"1234")), display, false);
  EXPECT_EQ(rtl::VarToStr(display), L"1234");
  properties->PrepareDisplayValue(rtl::Variant(String(L"1234")), display, true);
  EXPECT_EQ(rtl::VarToStr(display), L"12-34");
  properties->SetAlwaysShowBlanksAndLiterals(true);
  properties->PrepareDisplayValue(rtl::Variant(String(L"1234")), display, false);
  EXPECT_EQ(rtl::VarToStr(display), L"12-34");
}

TEST_F(TcxMaskEditTestFixture, TheTextOfAStandardMaskIsTheUnmaskedValue)
{
  Edit->GetMaskEditProperties()->SetEditMask(L"00-00;0;_");
  Edit->SetEditValue(rtl::Variant(String(L"1234")));
  EXPECT_EQ(Edit->GetEditText(), L"1234");
  EXPECT_EQ(Edit->GetMaskedText(), L"1234");
  Edit->SetFocus();
  EXPECT_EQ(Edit->GetEditText(), L"12-34");
  EXPECT_EQ(Edit->GetMaskedText(), L"1234");
}

// A form stream keeps the mask with its kind and settings: read back, the
// editor types by the same expression.
TEST_F(TcxMaskEditTestFixture, AMaskSurvivesAFormStreamWithItsKind)
{
  rtl::RegisterClasses({rtl::TPersistentClass::Of<TcxMaskEdit>()});
  static_cast<rtl::TComponent*>(Edit)->SetName(L"MaskEdit");
  TcxMaskEditProperties* properties = Edit->GetMaskEditProperties();
  properties->SetMaskKind(kRegExprEx);
  properties->SetEditMask(L"\\d\\d':'\\d\\d");
  properties->SetIgnoreMaskBlank(true);
  rtl::TOwnedPtr<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
  rtl::WriteComponent(stream.get(), FHost.get());

  rtl::TOwnedPtr<kvtest::TTestHost> host(rtl::New<kvtest::TTestHost>(nullptr));
  host->SetBounds(10, 10, 400, 300);
  stream->SetPosition(0);
  rtl::ReadComponent(stream.get(), host.get());
  host->Show();
  auto* copy = rtl::As<TcxMaskEdit>(host->FindComponent(L"MaskEdit"));
  ASSERT_NE(copy, nullptr);
  TcxMaskEditProperties* read = copy->GetMaskEditProperties();
  EXPECT_EQ(read->GetMaskKind(), kRegExprEx);
  EXPECT_EQ(read->GetStoredEditMask(), L"\\d\\d':'\\d\\d");
  EXPECT_TRUE(read->GetIgnoreMaskBlank());
  copy->SetFocus();
  SendMessageW(copy->GetInnerControl()->GetHandle(), WM_CHAR, L'1', 1);
  SendMessageW(copy->GetInnerControl()->GetHandle(), WM_CHAR, L'2', 1);
  EXPECT_EQ(copy->GetEditText(), L"12:");
}

TEST_F(TcxMaskEditTestFixture, ChangingTheSyntaxEmptiesTheMask)
{
  UseMask(kStandard, L"000");
  Edit->GetMaskEditProperties()->SetMaskKind(kRegExpr);
  EXPECT_EQ(Edit->GetMaskEditProperties()->GetStoredEditMask(), L"");
  Edit->GetMaskEditProperties()->SetEditMask(L"\\d+");
  Edit->GetMaskEditProperties()->SetMaskKind(kRegExprEx);
  EXPECT_EQ(Edit->GetMaskEditProperties()->GetStoredEditMask(), L"\\d+");
}

}  // namespace
