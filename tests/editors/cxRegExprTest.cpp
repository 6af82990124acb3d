#include "editors/cxRegExpr.h"

#include <gtest/gtest.h>

#include "platform/rtl/ClassesStreams.h"
#include "platform/rtl/SysUtilsFormat.h"

namespace {

// Feeds every character and answers the accepted ones as the automaton gave
// them back (in the expression's case where it changed it).
String Feed(TcxRegExpr& AExpr, const String& AText)
{
  String result;
  for (wchar_t c : AText) {
    wchar_t token = c;
    if (AExpr.Next(token))
      result += token;
  }
  return result;
}

std::vector<String> CompileErrors(const String& AMask)
{
  TcxRegExpr expr;
  std::vector<String> result;
  try {
    expr.Compile(AMask);
  } catch (const EcxRegExprError& E) {
    EXPECT_EQ(E.Errors(), &expr.Errors());
    EXPECT_TRUE(E.Message().empty());
    for (int i = 0; i < E.Errors()->Count(); ++i)
      result.push_back(E.Errors()->Items(i).FullMessage());
  }
  return result;
}

struct TRegExprMatchCase {
  const wchar_t* Mask;
  bool CaseInsensitive;
  String Typed;
  String Accepted;
  bool Final;
};

class RegExprMatch : public testing::TestWithParam<TRegExprMatchCase> {};

TEST_P(RegExprMatch, AcceptsTheTypedTextFromItsStart)
{
  const TRegExprMatchCase& c = GetParam();
  TcxRegExpr expr;
  expr.SetCaseInsensitive(c.CaseInsensitive);
  expr.Compile(String(c.Mask));
  EXPECT_EQ(Feed(expr, c.Typed), c.Accepted);
  EXPECT_EQ(expr.IsFinal(), c.Final);
}

INSTANTIATE_TEST_SUITE_P(
    Masks, RegExprMatch,
    testing::Values(
        // Blanks outside literals are ignored; inside they count.
        TRegExprMatchCase{L"a b", false, L"a b", L"ab", true},
        TRegExprMatchCase{L"'a b'", false, L"a b", L"a b", true},
        TRegExprMatchCase{L"''''", false, L"''", L"'", true},
        TRegExprMatchCase{L"[a-]", false, L"-", L"-", true},
        TRegExprMatchCase{L"[-a]", false, L"-", L"-", true},
        TRegExprMatchCase{L"[-a]", false, L"b", L"", false},
        TRegExprMatchCase{L"[\\d.]x", false, L".x", L".x", true},
        TRegExprMatchCase{L"[\\d.]", false, L"q", L"", false},
        TRegExprMatchCase{L"[\\1]", false, L"1", L"1", true},
        TRegExprMatchCase{L"[^a-c]", false, L"b", L"", false},
        TRegExprMatchCase{L"[^a-c]", false, L"d", L"d", true},
        TRegExprMatchCase{L"\\d+", false, L"1a2", L"12", true},
        TRegExprMatchCase{L"\\x41\\e", false, L"A\x1b", L"A\x1b", true},
        TRegExprMatchCase{L"\\s", false, String(1, L'\0'), String(1, L'\0'), true},
        TRegExprMatchCase{L"\\s", false, L"\x0b", L"", false},
        TRegExprMatchCase{L"\\w\\W", false, L"_-", L"_-", true},
        TRegExprMatchCase{L"ab|cd", false, L"ad", L"a", false},
        TRegExprMatchCase{L"ab|cd", false, L"cd", L"cd", true},
        TRegExprMatchCase{L"(a|b)+c", false, L"abac", L"abac", true},
        // Quantifiers on quantified items wrap them: a*? is (a*)?.
        TRegExprMatchCase{L"a*?", false, L"", L"", true},
        TRegExprMatchCase{L"a*?", false, L"aaa", L"aaa", true},
        TRegExprMatchCase{L"a??b", false, L"b", L"b", true},
        // A group without its own quantifier is never optional as a whole.
        TRegExprMatchCase{L"a?", false, L"", L"", true},
        TRegExprMatchCase{L"(a?)", false, L"", L"", false},
        TRegExprMatchCase{L"a(b?)", false, L"a", L"a", false},
        TRegExprMatchCase{L"a(b?)", false, L"ab", L"ab", true},
        // Counts.
        TRegExprMatchCase{L"a{2}", false, L"aaa", L"aa", true},
        TRegExprMatchCase{L"a{2}", false, L"a", L"a", false},
        TRegExprMatchCase{L"a{2,}", false, L"aaaaa", L"aaaaa", true},
        TRegExprMatchCase{L"a{1,3}", false, L"aaaa", L"aaa", true},
        TRegExprMatchCase{L"a{0,2}", false, L"", L"", true},
        TRegExprMatchCase{L"a{0}b", false, L"ab", L"b", true},
        TRegExprMatchCase{L"(ab){1,2}c", false, L"ababc", L"ababc", true},
        // Back-references copy the group as it stands when read.
        TRegExprMatchCase{L"(ab)\\1", false, L"abab", L"abab", true},
        TRegExprMatchCase{L"(ab)\\1", false, L"aba", L"aba", false},
        // A count on a referenced group: the reference copies the group as
        // written before the count.
        TRegExprMatchCase{L"(ab){2}\\1", false, L"ababab", L"ababab", true},
        TRegExprMatchCase{L"(ab){2}\\1", false, L"abab", L"abab", false},
        TRegExprMatchCase{L"((a)b){2}\\2", false, L"ababa", L"ababa", true},
        // Repeated groups that can match the empty text stay finite.
        TRegExprMatchCase{L"(a?){2,}", false, L"aaaa", L"aaaa", true},
        TRegExprMatchCase{L"(a?){2,}b", false, L"b", L"b", true},
        TRegExprMatchCase{L"((a?)(b?)){3,}c", false, L"abbac", L"abbac", true},
        // Letter case.
        TRegExprMatchCase{L"'Ab'", true, L"aB", L"Ab", true},
        TRegExprMatchCase{L"'Ab'", false, L"aB", L"", false},
        TRegExprMatchCase{L"[a-z]", true, L"A", L"", false},
        TRegExprMatchCase{L"[abc]", true, L"B", L"b", true},
        TRegExprMatchCase{L"a|A", true, L"A", L"A", true}));

TEST(RegExpr, SeparatorsAreTheLocalesAtTheTimeOfTheCheck)
{
  rtl::TFormatSettings& settings = rtl::FormatSettings();
  const wchar_t oldDate = settings.DateSeparator;
  const wchar_t oldTime = settings.TimeSeparator;
  settings.DateSeparator = L'.';
  settings.TimeSeparator = L'-';
  TcxRegExpr expr;
  expr.Compile(L"\\d/\\d:\\d");
  EXPECT_EQ(Feed(expr, L"1/2.3-4"), L"1.3-4");
  EXPECT_TRUE(expr.IsFinal());
  settings.DateSeparator = oldDate;
  settings.TimeSeparator = oldTime;
}

TEST(RegExpr, CountsExpandAsTheirWrittenEquivalents)
{
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"a{2}", L"(aa)"},         {L"a{2,}", L"(aaa*)"}, {L"a{1,2}", L"(aa?)"}, {L"a{1,3}", L"(a(aa?)?)"},
      {L"a{0,2}", L"((aa?)?)?"}, {L"a+?", L"(a+)?"},    {L"a??", L"(a?)?"},    {L"(ab){2}", L"((ab)(ab))"},
  };
  for (const auto& [counted, written] : cases) {
    TcxRegExpr a;
    TcxRegExpr b;
    a.Compile(String(counted));
    b.Compile(String(written));
    EXPECT_EQ(a.Print(), b.Print()) << counted;
  }
}

struct TRegExprErrorCase {
  const wchar_t* Mask;
  std::vector<String> Errors;
};

class RegExprErrors : public testing::TestWithParam<TRegExprErrorCase> {};

TEST_P(RegExprErrors, ReportMessagesAndPositions)
{
  EXPECT_EQ(CompileErrors(GetParam().Mask), GetParam().Errors);
}

INSTANTIATE_TEST_SUITE_P(
    Masks, RegExprErrors,
    testing::Values(
        TRegExprErrorCase{L" \t\r\n", {L"The source stream is empty"}},
        TRegExprErrorCase{L"'abc", {L"Line1, Char5: Missing ' ' '"}},
        TRegExprErrorCase{L"a\r\n'x", {L"Line2, Char3: Missing ' ' '"}},
        // A lone LF resets the column without counting a line.
        TRegExprErrorCase{L"\n*", {L"Line1, Char1: Illegal quantifier '*'"}},
        // A lone CR counts a line without resetting the column.
        TRegExprErrorCase{L"\r*", {L"Line2, Char2: Illegal quantifier '*'"}},
        TRegExprErrorCase{L"\\ a", {L"Line1, Char2: The space character is not allowed after '\\'"}},
        TRegExprErrorCase{L"\\x4", {L"Line1, Char4: Hexadecimal number expected"}},
        TRegExprErrorCase{L"\\x4g", {L"Line1, Char4: Hexadecimal number expected but 'g' found"}},
        TRegExprErrorCase{L"(a", {L"Missing ')'"}},
        TRegExprErrorCase{L"a)", {L"Unnecessary ')'"}},
        TRegExprErrorCase{L"[ab", {L"Line1, Char4: Missing ']'"}},
        TRegExprErrorCase{L"a{3", {L"Line1, Char4: Missing '}'"}},
        TRegExprErrorCase{L"a{2'}", {L"Line1, Char4: Illegal ' ' '"}},
        TRegExprErrorCase{L"a{2x}", {L"Line1, Char4: Illegal 'x'"}},
        TRegExprErrorCase{L"a)(",
                          {L"Line1, Char2: Illegal ')'", L"The alternative should not be empty"}},
        TRegExprErrorCase{L"|a", {L"Line1, Char1: The alternative should not be empty"}},
        TRegExprErrorCase{L"a|", {L"The alternative should not be empty"}},
        TRegExprErrorCase{L"()", {L"Line1, Char2: The block should not be empty"}},
        TRegExprErrorCase{L"*a", {L"Line1, Char1: Illegal quantifier '*'"}},
        TRegExprErrorCase{L"a?*", {L"Line1, Char3: The '*' quantifier cannot be applied here"}},
        TRegExprErrorCase{L"(a?)+", {L"Line1, Char5: The '+' quantifier cannot be applied here"}},
        TRegExprErrorCase{L"a{2,1}", {L"Line1, Char5: Incorrect parameter quantifier"}},
        TRegExprErrorCase{L"a{,2}", {L"Line1, Char3: Incorrect parameter quantifier"}},
        TRegExprErrorCase{L"a?{2}", {L"Line1, Char3: The parameter quantifier cannot be applied here"}},
        TRegExprErrorCase{L"{2}",
                          {L"Line1, Char1: Incorrect parameter quantifier", L"Line1, Char2: Illegal integer value",
                           L"Line1, Char3: Illegal '}'"}},
        TRegExprErrorCase{L"\\1(ab)", {L"Line1, Char1: Too big reference number"}},
        TRegExprErrorCase{L"[]", {L"Line1, Char2: Can't create empty enumeration"}},
        TRegExprErrorCase{L"[^]", {L"Line1, Char3: Can't create empty enumeration"}},
        TRegExprErrorCase{L"[a-a]",
                          {L"Line1, Char4: The starting character of the subrange must be less than the finishing one"}},
        TRegExprErrorCase{L"[z-a]",
                          {L"Line1, Char4: The starting character of the subrange must be less than the finishing one"}},
        TRegExprErrorCase{L"[a-c-e]", {L"Line1, Char5: Illegal '-'"}},
        // The bounds of what a mask may build.
        TRegExprErrorCase{L"a{256}", {L"Line1, Char2: The repetition count must not exceed 255"}},
        TRegExprErrorCase{L"a{1,99999999999}", {L"Line1, Char2: The repetition count must not exceed 255"}},
        TRegExprErrorCase{L"(a{255}){255}\\1\\1\\1", {L"Line1, Char18: The expression is too large"}}));

TEST(RegExpr, ErrorsKeepLineAndColumnAndClone)
{
  TcxRegExprErrors errors;
  errors.Add(std::make_unique<TcxRegExprError>(3, 0, L"m"));
  errors.Add(std::make_unique<TcxRegExprError>(0, 5, L"n"));
  std::unique_ptr<TcxRegExprErrors> copy = errors.Clone();
  errors.Clear();
  ASSERT_EQ(copy->Count(), 2);
  EXPECT_EQ(copy->Items(0).FullMessage(), L"Line3: m");
  EXPECT_EQ(copy->Items(1).FullMessage(), L"n");
}

TEST(RegExpr, RunTimeOperationsNeedACompiledExpression)
{
  TcxRegExpr expr;
  wchar_t token = L'a';
  try {
    expr.Next(token);
    FAIL() << "no exception";
  } catch (const EcxEditError& E) {
    EXPECT_EQ(E.Message(), L"Regular expression is not compiled");
  }
  EXPECT_THROW(expr.Compile(L"a("), EcxRegExprError);
  EXPECT_FALSE(expr.IsCompiled());
  EXPECT_THROW(expr.Prev(), EcxEditError);
  // A later compilation starts afresh.
  expr.Compile(L"ab");
  EXPECT_EQ(expr.Errors().Count(), 0);
  EXPECT_EQ(expr.Source(), L"ab");
}

TEST(RegExpr, CompilesTheUtf8BytesOfAStream)
{
  rtl::TOwnedPtr<rtl::TStringStream> stream(
      rtl::New<rtl::TStringStream>(String(L"'\u00e9'\\d"), rtl::TEncoding::UTF8()));
  TcxRegExpr expr;
  expr.Compile(stream.get());
  EXPECT_EQ(Feed(expr, L"\u00e91"), L"\u00e91");
  EXPECT_TRUE(expr.IsFinal());
  EXPECT_THROW(expr.Compile(static_cast<rtl::TStream*>(nullptr)), EcxRegExprError);
  ASSERT_EQ(expr.Errors().Count(), 1);
  EXPECT_EQ(expr.Errors().Items(0).FullMessage(), L"The source stream is not assigned");
}

TEST(RegExpr, StepsBackAndResets)
{
  TcxRegExpr expr;
  expr.Compile(L"\\d*");
  EXPECT_TRUE(expr.IsStart());
  EXPECT_FALSE(expr.Prev());
  EXPECT_EQ(Feed(expr, L"1"), L"1");
  EXPECT_FALSE(expr.IsStart());
  EXPECT_TRUE(expr.Prev());
  EXPECT_TRUE(expr.IsStart());
  EXPECT_EQ(expr.NextEx(L"a1b2"), L"12");
  expr.Reset();
  EXPECT_TRUE(expr.IsStart());
  EXPECT_FALSE(expr.Prev());
}

TEST(RegExpr, NextExKeepsTheGivenCase)
{
  TcxRegExpr expr;
  expr.SetCaseInsensitive(true);
  expr.Compile(L"'ab'");
  EXPECT_EQ(expr.NextEx(L"AB"), L"AB");
  EXPECT_TRUE(expr.IsFinal());
}

TEST(RegExpr, InsertsAndTakesBackFixedLiterals)
{
  TcxRegExpr expr;
  String inserted;
  int deleted = 0;
  expr.OnSymbolUpdate = [&](wchar_t C) { inserted += C; };
  expr.OnSymbolDelete = [&]() { ++deleted; };
  expr.SetUpdateOn(true);
  expr.Compile(L"'+7 '\\d");
  EXPECT_EQ(inserted, L"+7 ");
  EXPECT_EQ(Feed(expr, L"5"), L"5");
  EXPECT_TRUE(expr.Prev());  // the digit only
  EXPECT_EQ(deleted, 0);
  EXPECT_FALSE(expr.Prev());  // the three literals, then nothing is left
  EXPECT_EQ(deleted, 3);
  EXPECT_TRUE(expr.IsStart());

  rtl::TFormatSettings& settings = rtl::FormatSettings();
  const wchar_t oldTime = settings.TimeSeparator;
  settings.TimeSeparator = L':';
  inserted.clear();
  deleted = 0;
  expr.Compile(L"(\\d\\d):(\\d\\d)");
  EXPECT_EQ(Feed(expr, L"12"), L"12");
  EXPECT_EQ(inserted, L":");
  EXPECT_TRUE(expr.Prev());  // the separator and the 2
  EXPECT_EQ(deleted, 1);
  EXPECT_EQ(Feed(expr, L"3"), L"3");
  EXPECT_EQ(inserted, L"::");
  settings.TimeSeparator = oldTime;
}

TEST(RegExpr, SwitchingUpdateOnInsertsTheLiteralsDue)
{
  TcxRegExpr expr;
  String inserted;
  expr.OnSymbolUpdate = [&](wchar_t C) { inserted += C; };
  expr.Compile(L"'ab'\\d");
  EXPECT_EQ(inserted, L"");
  expr.SetUpdateOn(true);
  EXPECT_EQ(inserted, L"ab");
}

String Repeat(const String& S, int ACount)
{
  String result;
  for (int i = 0; i < ACount; ++i)
    result += S;
  return result;
}

// Hostile masks end with a clean error or an expression that answers; the
// engine's bounds (counts, depth, size, one visit per block state per walk)
// make this so by construction.
TEST(RegExpr, HostileMasksEndCleanly)
{
  const String alternatives = L"(" + Repeat(L"a|", 5000) + L"a)";
  const String doubling = L"(a{200})(\\1\\1)(\\2\\2)(\\3\\3)(\\4\\4)(\\5\\5)(\\6\\6)(\\7\\7)(\\8\\8)(\\9\\9)";
  const String masks[] = {
      Repeat(L"(", 5000) + L"a" + Repeat(L")", 5000),
      Repeat(L"(", 300) + L"a" + Repeat(L")", 300),
      L"a" + Repeat(L"?", 2000),
      L"a" + Repeat(L"+?", 1000),
      L"(a{255}){255}",
      L"((((a{255}){255}){255}){255})",
      L"a{1,255}{1,255}",
      Repeat(L"a?", 3000),
      Repeat(L"(a?)?", 3000),
      Repeat(L"a", 70000),
      alternatives + alternatives,
      doubling,
      L"((a?){2,}){2,}((b?){2,}|c*){3,}",
      Repeat(L"(a?){2,}", 200),
      Repeat(L"\\1", 1000),
      L"(" + Repeat(L"[a-z]|", 3000) + L"x){5}",
  };
  for (const String& mask : masks) {
    TcxRegExpr expr;
    try {
      expr.Compile(mask);
    } catch (const EcxRegExprError& E) {
      EXPECT_GT(E.Errors()->Count(), 0);
      continue;
    }
    wchar_t token = L'a';
    for (int i = 0; i < 20; ++i) {
      token = L'a';
      expr.Next(token);
    }
    while (expr.Prev()) {
    }
    EXPECT_TRUE(expr.IsStart());
  }
}

}  // namespace
