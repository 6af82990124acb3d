#include "editors/cxRegExpr.h"

#include <algorithm>
#include <cstdint>

#include "editors/cxEditConsts.h"
#include "platform/rtl/ClassesStreams.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/SysUtilsFormat.h"

namespace {

const wchar_t* const CRLF = L"\r\n";

String ResFormat(rtl::TResStringRec AString, const String& AArg)
{
  return rtl::Format(rtl::LoadResString(AString), {AArg});
}

wchar_t UpperChar(wchar_t C)
{
  const String upper = rtl::AnsiUpperCase(String(1, C));
  return upper.empty() ? C : upper.front();
}

bool IsHexDigit(wchar_t C)
{
  return (C >= L'0' && C <= L'9') || (C >= L'A' && C <= L'F') || (C >= L'a' && C <= L'f');
}

int HexValue(wchar_t C)
{
  if (C <= L'9')
    return C - L'0';
  return (C | 0x20) - L'a' + 10;
}

}  // namespace

// ---------------------------------------------------------------------------
// Errors

String TcxRegExprError::FullMessage() const
{
  if (FLine <= 0)
    return FMessage;
  String result = rtl::LoadResString(scxRegExprLine) + std::to_wstring(FLine);
  if (FChar > 0)
    result += L", " + rtl::LoadResString(scxRegExprChar) + std::to_wstring(FChar);
  return result + L": " + FMessage;
}

std::unique_ptr<TcxRegExprErrors> TcxRegExprErrors::Clone() const
{
  auto result = std::make_unique<TcxRegExprErrors>();
  for (const auto& error : FItems)
    result->Add(error->Clone());
  return result;
}

// ---------------------------------------------------------------------------
// Character items

bool TcxRegExprSymbol::Check(wchar_t& AToken, bool ACaseInsensitive, bool ACanChangeCase) const
{
  if (AToken == FValue)
    return true;
  if (!ACaseInsensitive || UpperChar(AToken) != UpperChar(FValue))
    return false;
  if (ACanChangeCase)
    AToken = FValue;
  return true;
}

bool TcxRegExprUserEnumeration::Check(wchar_t& AToken, bool ACaseInsensitive, bool ACanChangeCase) const
{
  for (const auto& item : FItems)
    if (item->Check(AToken, false, ACanChangeCase))
      return !FInverse;
  if (ACaseInsensitive)
    for (const auto& item : FItems)
      if (item->Check(AToken, true, ACanChangeCase))
        return !FInverse;
  return FInverse;
}

std::unique_ptr<TcxRegExprItem> TcxRegExprUserEnumeration::Clone() const
{
  auto result = std::make_unique<TcxRegExprUserEnumeration>(FInverse);
  for (const auto& item : FItems)
    result->Add(item->Clone());
  return result;
}

bool TcxRegExprDigit::Check(wchar_t& AToken, bool, bool) const
{
  return (AToken >= L'0' && AToken <= L'9') != FInverse;
}

bool TcxRegExprIdLetter::Check(wchar_t& AToken, bool, bool) const
{
  const bool isId = (AToken >= L'a' && AToken <= L'z') || (AToken >= L'A' && AToken <= L'Z') ||
                    (AToken >= L'0' && AToken <= L'9') || AToken == L'_';
  return isId != FInverse;
}

bool TcxRegExprSpace::Check(wchar_t& AToken, bool, bool) const
{
  const bool isSpace = AToken == L' ' || AToken == 0 || AToken == 9 || AToken == 10 || AToken == 12 || AToken == 13;
  return isSpace != FInverse;
}

wchar_t TcxRegExprDateSeparator::Value()
{
  return rtl::FormatSettings().DateSeparator;
}

wchar_t TcxRegExprTimeSeparator::Value()
{
  return rtl::FormatSettings().TimeSeparator;
}

// ---------------------------------------------------------------------------
// States

namespace {

// The block states one walk has passed through, with the case setting they
// were checked under.
class TcxRegExprVisited {
 public:
  bool Enter(const TcxRegExprState* AState, bool ACaseInsensitive)
  {
    return FItems.insert(reinterpret_cast<std::uintptr_t>(AState) | (ACaseInsensitive ? 1U : 0U)).second;
  }

 private:
  std::unordered_set<std::uintptr_t> FItems;
};

// From the successors ASuccessors, in order, the simple states reached
// through block states: with a token, those that accept it; without, all.
// A block state checked ignoring case checks its successors with exact case
// first. The order is the one a depth-first descent gives, and only the first
// state to accept while none has may change the token's case.
void Walk(const TcxRegExprStates& ASuccessors, bool ACaseInsensitive, wchar_t* AToken, bool ACanChangeCase,
          TcxRegExprVisited& AVisited, TcxRegExprStates& AResult)
{
  std::vector<std::pair<TcxRegExprState*, bool>> stack;
  auto push = [&stack](const TcxRegExprStates& AStates, bool ACase) {
    for (int i = AStates.Count() - 1; i >= 0; --i)
      stack.emplace_back(AStates.GetState(i), ACase);
  };
  push(ASuccessors, ACaseInsensitive);
  while (!stack.empty()) {
    const auto [state, caseInsensitive] = stack.back();
    stack.pop_back();
    if (const TcxRegExprSimpleState* simple = state->AsSimple()) {
      if (AToken == nullptr || simple->Check(*AToken, caseInsensitive, ACanChangeCase && AResult.IsEmpty()))
        AResult.Add(state);
      continue;
    }
    if (!AVisited.Enter(state, caseInsensitive))
      continue;
    if (AToken != nullptr && caseInsensitive)
      push(state->States(), true);
    push(state->States(), false);
  }
}

}  // namespace

void TcxRegExprStates::Add(TcxRegExprState* AState)
{
  if (FMembers.insert(AState).second)
    FItems.push_back(AState);
}

void TcxRegExprStates::Add(const TcxRegExprStates& AStates)
{
  for (TcxRegExprState* state : AStates.FItems)
    Add(state);
}

void TcxRegExprStates::Clear()
{
  FItems.clear();
  FMembers.clear();
}

bool TcxRegExprStates::IsFinal() const
{
  return std::any_of(FItems.begin(), FItems.end(), [](const TcxRegExprState* AState) {
    const TcxRegExprSimpleState* simple = AState->AsSimple();
    return simple != nullptr && simple->IsFinal();
  });
}

TcxRegExprStates TcxRegExprStates::GetAllNextStates() const
{
  // One walk for the whole set: a block state reached from several states
  // adds the same positions each time.
  TcxRegExprStates result;
  TcxRegExprVisited visited;
  for (TcxRegExprState* state : FItems)
    Walk(state->States(), false, nullptr, false, visited, result);
  return result;
}

TcxRegExprStates TcxRegExprStates::Next(wchar_t& AToken, bool ACaseInsensitive, bool ACanChangeCase) const
{
  TcxRegExprStates result;
  TcxRegExprVisited visited;
  for (TcxRegExprState* state : FItems)
    Walk(state->States(), false, &AToken, ACanChangeCase, visited, result);
  if (ACaseInsensitive)
    for (TcxRegExprState* state : FItems)
      Walk(state->States(), true, &AToken, ACanChangeCase, visited, result);
  return result;
}

bool TcxRegExprStates::Equ(wchar_t& ASymbol) const
{
  if (FItems.empty())
    return false;
  for (size_t i = 0; i < FItems.size(); ++i) {
    const TcxRegExprSimpleState* simple = FItems[i]->AsSimple();
    wchar_t value = 0;
    if (simple == nullptr || simple->Value() == nullptr || !simple->Value()->GetLiteral(value))
      return false;
    if (i == 0)
      ASymbol = value;
    else if (value != ASymbol)
      return false;
  }
  return true;
}

TcxRegExprStates TcxRegExprState::Next(wchar_t& AToken, bool ACaseInsensitive, bool ACanChangeCase)
{
  TcxRegExprStates result;
  TcxRegExprVisited visited;
  Walk(FStates, ACaseInsensitive, &AToken, ACanChangeCase, visited, result);
  return result;
}

TcxRegExprStates TcxRegExprState::GetAllNextStates()
{
  TcxRegExprStates result;
  TcxRegExprVisited visited;
  Walk(FStates, false, nullptr, false, visited, result);
  return result;
}

std::unique_ptr<TcxRegExprSimpleState> TcxRegExprSimpleState::Clone() const
{
  return std::make_unique<TcxRegExprSimpleState>(FValue != nullptr ? FValue->Clone() : nullptr);
}

// ---------------------------------------------------------------------------
// Quantifiers and items

std::unique_ptr<TcxRegExprQuantifier> TcxRegExprSimpleQuantifier::Clone() const
{
  return std::make_unique<TcxRegExprSimpleQuantifier>();
}

std::unique_ptr<TcxRegExprQuantifier> TcxRegExprQuestionQuantifier::Clone() const
{
  return std::make_unique<TcxRegExprQuestionQuantifier>();
}

std::unique_ptr<TcxRegExprQuantifier> TcxRegExprStarQuantifier::Clone() const
{
  return std::make_unique<TcxRegExprStarQuantifier>();
}

std::unique_ptr<TcxRegExprQuantifier> TcxRegExprPlusQuantifier::Clone() const
{
  return std::make_unique<TcxRegExprPlusQuantifier>();
}

TcxRegExprParserItem::TcxRegExprParserItem(std::unique_ptr<TcxRegExprQuantifier> AQuantifier)
    : FQuantifier(AQuantifier != nullptr ? std::move(AQuantifier) : std::make_unique<TcxRegExprSimpleQuantifier>())
{
}

bool TcxRegExprParserItem::NotQuantifier() const
{
  return !FQuantifier->CanMissing() && !FQuantifier->CanRepeat();
}

void TcxRegExprParserItem::SetQuantifier(std::unique_ptr<TcxRegExprQuantifier> AQuantifier)
{
  if (AQuantifier != nullptr)
    FQuantifier = std::move(AQuantifier);
}

TcxRegExprParserSimpleItem::TcxRegExprParserSimpleItem(std::unique_ptr<TcxRegExprSimpleState> AState,
                                                       std::unique_ptr<TcxRegExprQuantifier> AQuantifier)
    : TcxRegExprParserItem(std::move(AQuantifier)), FState(std::move(AState))
{
}

std::unique_ptr<TcxRegExprParserItem> TcxRegExprParserSimpleItem::Clone() const
{
  return std::make_unique<TcxRegExprParserSimpleItem>(FState->Clone(), Quantifier().Clone());
}

String TcxRegExprParserSimpleItem::Print() const
{
  return L"item --> " + Quantifier().Print() + CRLF;
}

void TcxRegExprParserSimpleItem::CreateConnections(const TcxRegExprStates& AFollowing)
{
  FState->Add(AFollowing);
  if (CanRepeat())
    FState->Add(FState.get());
}

TcxRegExprParserBlockItem::TcxRegExprParserBlockItem(std::unique_ptr<TcxRegExprQuantifier> AQuantifier)
    : TcxRegExprParserItem(std::move(AQuantifier)),
      FAlts(std::make_unique<TcxRegExprParserAlts>()),
      FStartState(std::make_unique<TcxRegExprBlockState>()),
      FFinishState(std::make_unique<TcxRegExprBlockState>())
{
}

std::unique_ptr<TcxRegExprParserItem> TcxRegExprParserBlockItem::Clone() const
{
  return CloneBlock();
}

std::unique_ptr<TcxRegExprParserBlockItem> TcxRegExprParserBlockItem::CloneBlock() const
{
  auto result = std::make_unique<TcxRegExprParserBlockItem>(Quantifier().Clone());
  result->FAlts = FAlts->Clone();
  result->FDepth = FDepth;
  return result;
}

long long TcxRegExprParserBlockItem::ConnectionCount() const
{
  // The start's links into the alternatives, the finish's out, and the
  // finish links of every alternative's tail.
  long long result = FAlts->ConnectionCount() + 3;
  for (int i = 0; i < FAlts->Count(); ++i)
    result += 2 * FAlts->GetAlt(i)->StartConnectionCount();
  return result;
}

String TcxRegExprParserBlockItem::Print() const
{
  return String(L"<Start_Block>") + CRLF + FAlts->Print() + L"<Finish_Block> --> " + Quantifier().Print() + CRLF;
}

void TcxRegExprParserBlockItem::CreateConnections(const TcxRegExprStates& AFollowing)
{
  FFinishState->Add(AFollowing);
  if (CanRepeat())
    FFinishState->Add(FStartState.get());
  FStartState->Add(FAlts->GetStartConnections());
  if (FAlts->ThereIsEmptyAlt())
    FStartState->Add(FFinishState.get());
  FAlts->CreateConnections();
  FAlts->SetFinishConnections(FFinishState.get());
}

void TcxRegExprParserBlockItem::AddAlts(std::unique_ptr<TcxRegExprParserAlts> AAlts)
{
  FAlts->TakeAlts(*AAlts);
}

// ---------------------------------------------------------------------------
// Alternatives

void TcxRegExprParserAlt::SetLastItem(std::unique_ptr<TcxRegExprParserItem> AItem)
{
  if (FItems.empty())
    FItems.push_back(std::move(AItem));
  else
    FItems.back() = std::move(AItem);
}

std::unique_ptr<TcxRegExprParserItem> TcxRegExprParserAlt::TakeLastItem()
{
  std::unique_ptr<TcxRegExprParserItem> result = std::move(FItems.back());
  FItems.pop_back();
  return result;
}

std::unique_ptr<TcxRegExprParserAlt> TcxRegExprParserAlt::Clone() const
{
  auto result = std::make_unique<TcxRegExprParserAlt>();
  for (const auto& item : FItems)
    result->Add(item->Clone());
  return result;
}

bool TcxRegExprParserAlt::CanEmpty() const
{
  return std::all_of(FItems.begin(), FItems.end(), [](const auto& AItem) { return AItem->CanEmpty(); });
}

bool TcxRegExprParserAlt::CanMissing() const
{
  return std::all_of(FItems.begin(), FItems.end(), [](const auto& AItem) { return AItem->CanMissing(); });
}

String TcxRegExprParserAlt::Print() const
{
  String result = String(L"<Start_Alt>") + CRLF;
  for (const auto& item : FItems)
    result += item->Print();
  return result + L"<Finish_Alt>" + CRLF;
}

int TcxRegExprParserAlt::StateCount() const
{
  int result = 0;
  for (const auto& item : FItems)
    result += item->StateCount();
  return result;
}

int TcxRegExprParserAlt::Depth() const
{
  int result = 0;
  for (const auto& item : FItems)
    result = std::max(result, item->Depth());
  return result;
}

long long TcxRegExprParserAlt::ConnectionCount() const
{
  // Walking back, the first positions from i on number one more than those
  // from i + 1 when item i may be missing, else one.
  long long result = 0;
  long long following = 0;
  for (auto it = FItems.rbegin(); it != FItems.rend(); ++it) {
    result += following + (*it)->ConnectionCount();
    following = (*it)->CanMissing() ? following + 1 : 1;
  }
  return result;
}

int TcxRegExprParserAlt::StartConnectionCount() const
{
  int result = 0;
  for (const auto& item : FItems) {
    ++result;
    if (!item->CanMissing())
      break;
  }
  return result;
}

TcxRegExprStates TcxRegExprParserAlt::GetStartConnections(int AIndex) const
{
  TcxRegExprStates result;
  for (size_t i = static_cast<size_t>(AIndex); i < FItems.size(); ++i) {
    result.Add(FItems[i]->EntryState());
    if (!FItems[i]->CanMissing())
      break;
  }
  return result;
}

void TcxRegExprParserAlt::CreateConnections()
{
  for (int i = 0; i < Count(); ++i)
    GetItem(i)->CreateConnections(GetStartConnections(i + 1));
}

void TcxRegExprParserAlt::SetFinishConnections(TcxRegExprState* AFinish)
{
  for (auto it = FItems.rbegin(); it != FItems.rend(); ++it) {
    (*it)->ExitState()->Add(AFinish);
    if (!(*it)->CanMissing())
      break;
  }
}

void TcxRegExprParserAlt::CreateFinalStates()
{
  for (auto it = FItems.rbegin(); it != FItems.rend(); ++it) {
    (*it)->SetFinal();
    if (!(*it)->CanMissing())
      break;
  }
}

void TcxRegExprParserAlts::TakeAlts(TcxRegExprParserAlts& AAlts)
{
  for (auto& alt : AAlts.FItems)
    FItems.push_back(std::move(alt));
  AAlts.FItems.clear();
}

long long TcxRegExprParserAlts::ConnectionCount() const
{
  long long result = 0;
  for (const auto& alt : FItems)
    result += alt->ConnectionCount();
  return result;
}

TcxRegExprParserAlt* TcxRegExprParserAlts::AddAlt()
{
  FItems.push_back(std::make_unique<TcxRegExprParserAlt>());
  return FItems.back().get();
}

std::unique_ptr<TcxRegExprParserAlts> TcxRegExprParserAlts::Clone() const
{
  auto result = std::make_unique<TcxRegExprParserAlts>();
  for (const auto& alt : FItems)
    result->Add(alt->Clone());
  return result;
}

bool TcxRegExprParserAlts::CanEmpty() const
{
  return std::any_of(FItems.begin(), FItems.end(), [](const auto& AAlt) { return AAlt->CanEmpty(); });
}

String TcxRegExprParserAlts::Print() const
{
  String result;
  for (const auto& alt : FItems)
    result += alt->Print();
  return result;
}

int TcxRegExprParserAlts::StateCount() const
{
  int result = 0;
  for (const auto& alt : FItems)
    result += alt->StateCount();
  return result;
}

int TcxRegExprParserAlts::Depth() const
{
  int result = 0;
  for (const auto& alt : FItems)
    result = std::max(result, alt->Depth());
  return result;
}

TcxRegExprStates TcxRegExprParserAlts::GetStartConnections() const
{
  TcxRegExprStates result;
  for (const auto& alt : FItems)
    result.Add(alt->GetStartConnections());
  return result;
}

void TcxRegExprParserAlts::CreateConnections()
{
  for (const auto& alt : FItems)
    alt->CreateConnections();
}

void TcxRegExprParserAlts::SetFinishConnections(TcxRegExprState* AFinish)
{
  for (const auto& alt : FItems)
    alt->SetFinishConnections(AFinish);
}

void TcxRegExprParserAlts::CreateFinalStates()
{
  for (const auto& alt : FItems)
    alt->CreateFinalStates();
}

bool TcxRegExprParserAlts::ThereIsEmptyAlt() const
{
  return std::any_of(FItems.begin(), FItems.end(), [](const auto& AAlt) { return AAlt->CanMissing(); });
}

// ---------------------------------------------------------------------------
// The automaton

TcxRegExprAutomat::TcxRegExprAutomat(std::unique_ptr<TcxRegExprParserAlts> AExpr, TcxRegExpr* AOwner)
    : FOwner(AOwner), FExpr(std::move(AExpr)), FStartState(std::make_unique<TcxRegExprSimpleState>(nullptr))
{
  FStartState->Add(FExpr->GetStartConnections());
  if (FExpr->ThereIsEmptyAlt())
    FStartState->SetFinal();
  Reset();
}

bool TcxRegExprAutomat::Next(wchar_t& AToken, bool ACaseInsensitive, bool ACanChangeCase)
{
  TcxRegExprStates next = FCurrentStates.Next(AToken, ACaseInsensitive, ACanChangeCase);
  if (next.IsEmpty())
    return false;
  FHistory.push_back(std::move(FCurrentStates));
  FCurrentStates = std::move(next);
  return true;
}

bool TcxRegExprAutomat::Prev()
{
  if (FHistory.empty())
    return false;
  FCurrentStates = std::move(FHistory.back());
  FHistory.pop_back();
  return true;
}

void TcxRegExprAutomat::Reset()
{
  FHistory.clear();
  FCurrentStates.Clear();
  FCurrentStates.Add(FStartState.get());
}

void TcxRegExprAutomat::Update()
{
  // A literal is inserted per step and each step moves to a new set; the
  // bound only guards against a cycle of literals no text can leave.
  for (int steps = 0; steps < cxRegExprMaxStates && !FCurrentStates.IsFinal(); ++steps) {
    TcxRegExprStates next = FCurrentStates.GetAllNextStates();
    wchar_t symbol = 0;
    if (!next.Equ(symbol) || next == FCurrentStates)
      break;
    FOwner->DoSymbolUpdate(symbol);
    FHistory.push_back(std::move(FCurrentStates));
    FCurrentStates = std::move(next);
  }
}

void TcxRegExprAutomat::ReUpdate()
{
  wchar_t symbol = 0;
  while (FCurrentStates.Equ(symbol) && !FHistory.empty()) {
    const TcxRegExprStates& previous = FHistory.back();
    wchar_t previousSymbol = 0;
    if (!previous.GetAllNextStates().Equ(previousSymbol) || previous.IsFinal())
      break;
    FOwner->DoSymbolDelete();
    FCurrentStates = std::move(FHistory.back());
    FHistory.pop_back();
  }
}

// ---------------------------------------------------------------------------
// The lexer

class TcxRegExpr::TcxRegExprLexer {
 public:
  TcxRegExprLexer(const String& ASource, TcxLexems& ALexems, TcxRegExprErrors& AErrors)
      : FSource(ASource), FLexems(ALexems), FErrors(AErrors)
  {
  }

  void Run();

 private:
  bool Eof() const { return FIndex >= FSource.size(); }
  wchar_t Peek() const { return FSource[FIndex]; }
  wchar_t Read();
  void SkipBlanks();
  void Add(TcxRegExprLexemCode ACode, const String& AValue, int ALine, int AChar);
  void AddHere(TcxRegExprLexemCode ACode, wchar_t AValue) { Add(ACode, String(1, AValue), FLine, FChar); }
  void Error(int ALine, int AChar, const String& AMessage);
  void ErrorAfter(const String& AMessage) { Error(FLine, FChar + 1, AMessage); }
  void ReadQuoted();
  void ReadEscape();
  void ReadClass();
  void ReadClassItem(wchar_t C);
  void ReadCount();

  const String& FSource;
  TcxLexems& FLexems;
  TcxRegExprErrors& FErrors;
  size_t FIndex = 0;
  int FLine = 1;
  int FChar = 0;
  int FOpenGroups = 0;
  bool FTooDeep = false;
};

wchar_t TcxRegExpr::TcxRegExprLexer::Read()
{
  const wchar_t c = FSource[FIndex++];
  if (c == L'\r')
    ++FLine;
  if (c == L'\n')
    FChar = 0;
  else
    ++FChar;
  return c;
}

void TcxRegExpr::TcxRegExprLexer::SkipBlanks()
{
  while (!Eof() && cxEditIsBlankChar(Peek()))
    Read();
}

void TcxRegExpr::TcxRegExprLexer::Add(TcxRegExprLexemCode ACode, const String& AValue, int ALine, int AChar)
{
  FLexems.Add(TcxLexem{AChar, ACode, ALine, AValue});
}

void TcxRegExpr::TcxRegExprLexer::Error(int ALine, int AChar, const String& AMessage)
{
  FErrors.Add(std::make_unique<TcxRegExprError>(ALine, AChar, AMessage));
}

void TcxRegExpr::TcxRegExprLexer::Run()
{
  while (!Eof()) {
    const wchar_t c = Read();
    if (cxEditIsBlankChar(c))
      continue;
    switch (c) {
      case L'\'':
        ReadQuoted();
        break;
      case L'(':
        AddHere(relcSpecial, c);
        // Groups nest on the stack of every later pass: a mask may not
        // nest them without bound.
        if (++FOpenGroups > cxRegExprMaxDepth && !FTooDeep) {
          FTooDeep = true;
          Error(FLine, FChar, rtl::LoadResString(scxRegExprNestedTooDeeply));
        }
        break;
      case L')':
        AddHere(relcSpecial, c);
        --FOpenGroups;
        break;
      case L'*':
      case L'+':
      case L'?':
      case L'|':
        AddHere(relcSpecial, c);
        break;
      case L'.':
        AddHere(relcAll, c);
        break;
      case L'/':
        AddHere(relcDateSeparator, c);
        break;
      case L':':
        AddHere(relcTimeSeparator, c);
        break;
      case L'[':
        AddHere(relcSpecial, c);
        ReadClass();
        break;
      case L'\\':
        ReadEscape();
        break;
      case L'{':
        AddHere(relcSpecial, c);
        ReadCount();
        break;
      default:
        AddHere(relcSymbol, c);
    }
  }
  if (FOpenGroups > 0)
    Error(0, 0, ResFormat(scxRegExprMissing, L")"));
  else if (FOpenGroups < 0)
    Error(0, 0, ResFormat(scxRegExprUnnecessary, L")"));
}

void TcxRegExpr::TcxRegExprLexer::ReadQuoted()
{
  while (true) {
    if (Eof()) {
      ErrorAfter(ResFormat(scxRegExprMissing, L" ' "));
      return;
    }
    const wchar_t c = Read();
    if (c == L'\'') {
      if (Eof() || Peek() != L'\'')
        return;
      AddHere(relcSymbol, c);
      Read();
    } else {
      AddHere(relcSymbol, c);
    }
  }
}

void TcxRegExpr::TcxRegExprLexer::ReadEscape()
{
  const int line = FLine;
  const int column = FChar;
  if (Eof())
    return;
  const wchar_t c = Read();
  auto add = [&](TcxRegExprLexemCode ACode, wchar_t AValue) { Add(ACode, String(1, AValue), line, column); };
  if (c >= L'1' && c <= L'9') {
    add(relcReference, c);
    return;
  }
  if (cxEditIsBlankChar(c)) {
    Error(FLine, FChar, rtl::LoadResString(scxRegExprIncorrectSpace));
    return;
  }
  switch (c) {
    case L'd':
      return add(relcDigit, c);
    case L'D':
      return add(relcNotDigit, c);
    case L'w':
      return add(relcId, c);
    case L'W':
      return add(relcNotId, c);
    case L's':
      return add(relcSpace, c);
    case L'S':
      return add(relcNotSpace, c);
    case L'a':
      return add(relcSymbol, 7);
    case L'e':
      return add(relcSymbol, 27);
    case L'f':
      return add(relcSymbol, 12);
    case L'n':
      return add(relcSymbol, 10);
    case L'r':
      return add(relcSymbol, 13);
    case L't':
      return add(relcSymbol, 9);
    case L'p':
      return add(relcSymbol, rtl::FormatSettings().DecimalSeparator);
    case L'x': {
      int value = 0;
      for (int i = 0; i < 2; ++i) {
        if (Eof()) {
          ErrorAfter(rtl::LoadResString(scxRegExprHexNumberExpected0));
          return;
        }
        const wchar_t digit = Read();
        if (!IsHexDigit(digit)) {
          Error(FLine, FChar, ResFormat(scxRegExprHexNumberExpected, String(1, digit)));
          return;
        }
        value = value * 16 + HexValue(digit);
      }
      return add(relcSymbol, static_cast<wchar_t>(value));
    }
    default:
      return add(relcSymbol, c);
  }
}

void TcxRegExpr::TcxRegExprLexer::ReadClass()
{
  SkipBlanks();
  if (!Eof()) {
    const wchar_t first = Peek();
    if (first == L'^') {
      Read();
      AddHere(relcSpecial, first);
    } else if (first == L']') {
      Read();
      AddHere(relcSpecial, first);
      return;
    } else if (first == L'-') {
      Read();
      AddHere(relcSymbol, first);
    }
  }
  while (true) {
    SkipBlanks();
    if (Eof()) {
      ErrorAfter(ResFormat(scxRegExprMissing, L"]"));
      return;
    }
    const wchar_t c = Read();
    if (c == L']') {
      AddHere(relcSpecial, c);
      return;
    }
    ReadClassItem(c);
  }
}

void TcxRegExpr::TcxRegExprLexer::ReadClassItem(wchar_t C)
{
  switch (C) {
    case L'\'':
      ReadQuoted();
      break;
    case L'/':
      AddHere(relcDateSeparator, C);
      break;
    case L':':
      AddHere(relcTimeSeparator, C);
      break;
    case L'\\':
      ReadEscape();
      break;
    case L'-': {
      const int line = FLine;
      const int column = FChar;
      SkipBlanks();
      // Before the closing bracket a dash is itself; anywhere else a range.
      const bool literal = !Eof() && Peek() == L']';
      Add(literal ? relcSymbol : relcSpecial, String(1, C), line, column);
      break;
    }
    default:
      AddHere(relcSymbol, C);
  }
}

void TcxRegExpr::TcxRegExprLexer::ReadCount()
{
  while (true) {
    SkipBlanks();
    if (Eof()) {
      ErrorAfter(ResFormat(scxRegExprMissing, L"}"));
      return;
    }
    if (Peek() >= L'0' && Peek() <= L'9') {
      String digits(1, Read());
      const int line = FLine;
      const int column = FChar;
      while (!Eof() && Peek() >= L'0' && Peek() <= L'9')
        digits += Read();
      Add(relcInteger, digits, line, column);
      continue;
    }
    const wchar_t c = Read();
    if (c == L',') {
      AddHere(relcSpecial, c);
    } else if (c == L'}') {
      AddHere(relcSpecial, c);
      return;
    } else {
      Error(FLine, FChar, ResFormat(scxRegExprIllegalSymbol, c == L'\'' ? String(L" ' ") : String(1, c)));
    }
  }
}

// ---------------------------------------------------------------------------
// The parser

class TcxRegExpr::TcxRegExprParser {
 public:
  TcxRegExprParser(const TcxLexems& ALexems, TcxRegExprErrors& AErrors) : FLexems(ALexems), FErrors(AErrors) {}

  std::unique_ptr<TcxRegExprParserAlts> Run();

 private:
  enum class TAltEnd { Lexems, Bar, Group };

  bool HasLexem() const { return FLexemIndex < FLexems.Count(); }
  const TcxLexem& Current() const { return FLexems.Items(FLexemIndex); }
  const TcxLexem& Take() { return FLexems.Items(FLexemIndex++); }
  static bool IsSpecial(const TcxLexem& ALexem, wchar_t C)
  {
    return ALexem.Code == relcSpecial && ALexem.Value.size() == 1 && ALexem.Value[0] == C;
  }
  void Error(const TcxLexem& ALexem, const String& AMessage);
  void Error(const String& AMessage);

  void ParseAlts(TcxRegExprParserAlts& AAlts, bool AInGroup);
  TAltEnd ParseAlt(TcxRegExprParserAlt& AAlt, bool AInGroup);
  std::unique_ptr<TcxRegExprParserItem> ParseGroup();
  std::unique_ptr<TcxRegExprParserItem> ParseClass();
  void ApplyQuantifier(TcxRegExprParserAlt& AAlt, const TcxLexem& ALexem);
  void ApplyCount(TcxRegExprParserAlt& AAlt, const TcxLexem& ABrace);
  bool ReadCount(int& AMin, int& AMax);
  std::unique_ptr<TcxRegExprParserItem> BuildOptionalChain(const TcxRegExprParserItem& AItem, int ACount);
  void AddReference(TcxRegExprParserAlt& AAlt, const TcxLexem& ALexem);
  // Counts the states a copy adds against the bound; false (with the error
  // reported once) when the tree would grow past it.
  bool Reserve(long long AStates, const TcxLexem& ALexem);
  bool CheckDepth(const TcxRegExprParserItem& AItem, const TcxLexem& ALexem);

  const TcxLexems& FLexems;
  TcxRegExprErrors& FErrors;
  void AddSimple(TcxRegExprParserAlt& AAlt, std::unique_ptr<TcxRegExprItem> AItem, const TcxLexem& ALexem);

  int FLexemIndex = 0;
  // The numbered groups, in the order of their "(". A group a count replaced
  // stays here as it stood before the count (kept in FRetired), so a later
  // reference never copies a freed group.
  std::vector<TcxRegExprParserBlockItem*> FBlocks;
  std::vector<std::unique_ptr<TcxRegExprParserItem>> FRetired;
  long long FStateCount = 0;
  bool FTooLarge = false;
};

void TcxRegExpr::TcxRegExprParser::Error(const TcxLexem& ALexem, const String& AMessage)
{
  FErrors.Add(std::make_unique<TcxRegExprError>(ALexem.Line, ALexem.Char, AMessage));
}

void TcxRegExpr::TcxRegExprParser::Error(const String& AMessage)
{
  FErrors.Add(std::make_unique<TcxRegExprError>(0, 0, AMessage));
}

std::unique_ptr<TcxRegExprParserAlts> TcxRegExpr::TcxRegExprParser::Run()
{
  auto result = std::make_unique<TcxRegExprParserAlts>();
  ParseAlts(*result, false);
  return result;
}

void TcxRegExpr::TcxRegExprParser::ParseAlts(TcxRegExprParserAlts& AAlts, bool AInGroup)
{
  while (ParseAlt(*AAlts.AddAlt(), AInGroup) == TAltEnd::Bar) {
  }
}

TcxRegExpr::TcxRegExprParser::TAltEnd TcxRegExpr::TcxRegExprParser::ParseAlt(TcxRegExprParserAlt& AAlt,
                                                                             bool AInGroup)
{
  if (!HasLexem()) {
    Error(rtl::LoadResString(scxRegExprCantCreateEmptyAlt));
    return TAltEnd::Lexems;
  }
  if (IsSpecial(Current(), L'|')) {
    Error(Take(), rtl::LoadResString(scxRegExprCantCreateEmptyAlt));
    return TAltEnd::Bar;
  }
  if (AInGroup && IsSpecial(Current(), L')')) {
    Error(Take(), rtl::LoadResString(scxRegExprCantCreateEmptyBlock));
    return TAltEnd::Group;
  }
  while (HasLexem()) {
    const TcxLexem& lexem = Take();
    switch (lexem.Code) {
      case relcSymbol:
        AddSimple(AAlt, std::make_unique<TcxRegExprSymbol>(lexem.Value[0]), lexem);
        break;
      case relcInteger:
        Error(lexem, rtl::LoadResString(scxRegExprIllegalIntegerValue));
        break;
      case relcReference:
        AddReference(AAlt, lexem);
        break;
      case relcSpecial:
        switch (lexem.Value[0]) {
          case L'(':
            AAlt.Add(ParseGroup());
            break;
          case L'[':
            if (auto item = ParseClass(); Reserve(1, lexem))
              AAlt.Add(std::move(item));
            break;
          case L')':
            if (AInGroup)
              return TAltEnd::Group;
            Error(lexem, ResFormat(scxRegExprIllegalSymbol, lexem.Value));
            break;
          case L'|':
            return TAltEnd::Bar;
          case L'*':
          case L'+':
          case L'?':
            ApplyQuantifier(AAlt, lexem);
            break;
          case L'{':
            ApplyCount(AAlt, lexem);
            break;
          case L'-':
          case L']':
          case L'}':
            Error(lexem, ResFormat(scxRegExprIllegalSymbol, lexem.Value));
            break;
          default:
            break;
        }
        break;
      default: {
        std::unique_ptr<TcxRegExprItem> item;
        switch (lexem.Code) {
          case relcAll:
            item = std::make_unique<TcxRegExprAll>();
            break;
          case relcId:
          case relcNotId:
            item = std::make_unique<TcxRegExprIdLetter>(lexem.Code == relcNotId);
            break;
          case relcDigit:
          case relcNotDigit:
            item = std::make_unique<TcxRegExprDigit>(lexem.Code == relcNotDigit);
            break;
          case relcSpace:
          case relcNotSpace:
            item = std::make_unique<TcxRegExprSpace>(lexem.Code == relcNotSpace);
            break;
          case relcDateSeparator:
            item = std::make_unique<TcxRegExprDateSeparator>();
            break;
          default:
            item = std::make_unique<TcxRegExprTimeSeparator>();
        }
        AddSimple(AAlt, std::move(item), lexem);
      }
    }
  }
  return TAltEnd::Lexems;
}

void TcxRegExpr::TcxRegExprParser::AddSimple(TcxRegExprParserAlt& AAlt, std::unique_ptr<TcxRegExprItem> AItem,
                                             const TcxLexem& ALexem)
{
  if (Reserve(1, ALexem))
    AAlt.Add(std::make_unique<TcxRegExprParserSimpleItem>(std::make_unique<TcxRegExprSimpleState>(std::move(AItem))));
}

std::unique_ptr<TcxRegExprParserItem> TcxRegExpr::TcxRegExprParser::ParseGroup()
{
  auto group = std::make_unique<TcxRegExprParserBlockItem>();
  FBlocks.push_back(group.get());
  ParseAlts(group->Alts(), true);
  group->UpdateDepth();
  return group;
}

namespace {

std::unique_ptr<TcxRegExprItem> ClassItemOf(const TcxLexem& ALexem)
{
  switch (ALexem.Code) {
    case relcId:
    case relcNotId:
      return std::make_unique<TcxRegExprIdLetter>(ALexem.Code == relcNotId);
    case relcDigit:
    case relcNotDigit:
      return std::make_unique<TcxRegExprDigit>(ALexem.Code == relcNotDigit);
    case relcSpace:
    case relcNotSpace:
      return std::make_unique<TcxRegExprSpace>(ALexem.Code == relcNotSpace);
    case relcDateSeparator:
      return std::make_unique<TcxRegExprDateSeparator>();
    case relcTimeSeparator:
      return std::make_unique<TcxRegExprTimeSeparator>();
    default:
      return std::make_unique<TcxRegExprSymbol>(ALexem.Value[0]);
  }
}

}  // namespace

std::unique_ptr<TcxRegExprParserItem> TcxRegExpr::TcxRegExprParser::ParseClass()
{
  const bool inverse = HasLexem() && IsSpecial(Current(), L'^');
  if (inverse)
    Take();
  auto enumeration = std::make_unique<TcxRegExprUserEnumeration>(inverse);
  if (HasLexem() && IsSpecial(Current(), L']'))
    Error(Take(), rtl::LoadResString(scxRegExprCantCreateEmptyEnum));
  else
    while (HasLexem()) {
      const TcxLexem& first = Take();
      if (IsSpecial(first, L']'))
        break;
      if (!HasLexem() || !IsSpecial(Current(), L'-')) {
        enumeration->Add(ClassItemOf(first));
        continue;
      }
      Take();
      if (!HasLexem())
        break;
      const TcxLexem& last = Take();
      if (first.Value[0] < last.Value[0])
        enumeration->Add(std::make_unique<TcxRegExprSubrange>(first.Value[0], last.Value[0]));
      else
        Error(last, rtl::LoadResString(scxRegExprSubrangeOrder));
      while (HasLexem() && IsSpecial(Current(), L'-'))
        Error(Take(), ResFormat(scxRegExprIllegalSymbol, L"-"));
    }
  return std::make_unique<TcxRegExprParserSimpleItem>(std::make_unique<TcxRegExprSimpleState>(std::move(enumeration)));
}

void TcxRegExpr::TcxRegExprParser::ApplyQuantifier(TcxRegExprParserAlt& AAlt, const TcxLexem& ALexem)
{
  TcxRegExprParserItem* last = AAlt.LastItem();
  const wchar_t kind = ALexem.Value[0];
  if (last == nullptr) {
    Error(ALexem, ResFormat(scxRegExprIllegalQuantifier, ALexem.Value));
    return;
  }
  if (kind != L'?' && last->CanEmpty()) {
    Error(ALexem, rtl::LoadResString(kind == L'*' ? scxRegExprCantUseStarQuantifier : scxRegExprCantUsePlusQuantifier));
    return;
  }
  auto make = [kind]() -> std::unique_ptr<TcxRegExprQuantifier> {
    if (kind == L'*')
      return std::make_unique<TcxRegExprStarQuantifier>();
    if (kind == L'+')
      return std::make_unique<TcxRegExprPlusQuantifier>();
    return std::make_unique<TcxRegExprQuestionQuantifier>();
  };
  if (last->NotQuantifier()) {
    last->SetQuantifier(make());
    return;
  }
  // An item that has its quantifier already goes into a group of its own
  // that takes the new one: a+? is (a+)?.
  if (!CheckDepth(*last, ALexem))
    return;
  auto group = std::make_unique<TcxRegExprParserBlockItem>(make());
  group->AddAlt()->Add(AAlt.TakeLastItem());
  group->UpdateDepth();
  AAlt.Add(std::move(group));
}

bool TcxRegExpr::TcxRegExprParser::ReadCount(int& AMin, int& AMax)
{
  auto broken = [this]() {
    if (HasLexem()) {
      Error(Current(), rtl::LoadResString(scxRegExprIncorrectParameterQuantifier));
      // The rest of the count goes with it, so one bad count is one error.
      while (HasLexem() && !IsSpecial(Take(), L'}')) {
      }
    } else {
      Error(rtl::LoadResString(scxRegExprIncorrectParameterQuantifier));
    }
    return false;
  };
  // Long digit runs saturate: anything past the bound is refused anyway.
  auto value = [](const String& ADigits) {
    long long result = 0;
    for (wchar_t c : ADigits)
      result = std::min<long long>(result * 10 + (c - L'0'), 1LL << 30);
    return static_cast<int>(result);
  };
  if (!HasLexem() || Current().Code != relcInteger)
    return broken();
  AMin = value(Take().Value);
  if (HasLexem() && IsSpecial(Current(), L'}')) {
    Take();
    AMax = AMin;
    return true;
  }
  if (!HasLexem() || !IsSpecial(Current(), L','))
    return broken();
  Take();
  if (HasLexem() && IsSpecial(Current(), L'}')) {
    Take();
    AMax = -1;
    return true;
  }
  if (!HasLexem() || Current().Code != relcInteger || value(Current().Value) < AMin)
    return broken();
  AMax = value(Take().Value);
  if (!HasLexem() || !IsSpecial(Current(), L'}'))
    return broken();
  Take();
  return true;
}

void TcxRegExpr::TcxRegExprParser::ApplyCount(TcxRegExprParserAlt& AAlt, const TcxLexem& ABrace)
{
  TcxRegExprParserItem* last = AAlt.LastItem();
  if (last == nullptr) {
    Error(ABrace, rtl::LoadResString(scxRegExprIncorrectParameterQuantifier));
    return;
  }
  int min = 0;
  int max = 0;
  if (!ReadCount(min, max))
    return;
  if (last->CanMissing()) {
    Error(ABrace, rtl::LoadResString(scxRegExprCantUseParameterQuantifier));
    return;
  }
  if (min > cxRegExprMaxCount || max > cxRegExprMaxCount) {
    Error(ABrace, rtl::Format(rtl::LoadResString(scxRegExprCountTooLarge), {cxRegExprMaxCount}));
    return;
  }
  const int copies = min + (max < 0 ? 1 : std::max(max - min, 0));
  const int size = last->StateCount();
  if (!Reserve(static_cast<long long>(copies) * size - size, ABrace))
    return;
  // The optional copies nest one group each.
  if (last->Depth() + 1 + std::max(max - min - 1, 0) > cxRegExprMaxDepth) {
    Error(ABrace, rtl::LoadResString(scxRegExprNestedTooDeeply));
    return;
  }

  auto group = std::make_unique<TcxRegExprParserBlockItem>();
  TcxRegExprParserAlt* alt = group->AddAlt();
  for (int i = 0; i < min; ++i)
    alt->Add(last->Clone());
  if (max < 0) {
    auto rest = last->Clone();
    rest->SetQuantifier(std::make_unique<TcxRegExprStarQuantifier>());
    alt->Add(std::move(rest));
  } else if (max > min) {
    alt->Add(BuildOptionalChain(*last, max - min));
  }
  if (min == 0)
    group->SetQuantifier(std::make_unique<TcxRegExprQuestionQuantifier>());
  group->UpdateDepth();
  // The replaced item is kept, not freed: a numbered group among it stays
  // what later references copy.
  FRetired.push_back(AAlt.TakeLastItem());
  AAlt.Add(std::move(group));
}

std::unique_ptr<TcxRegExprParserItem> TcxRegExpr::TcxRegExprParser::BuildOptionalChain(
    const TcxRegExprParserItem& AItem, int ACount)
{
  // Built from the innermost link outwards, so the chain's length costs no
  // stack.
  std::unique_ptr<TcxRegExprParserItem> chain = AItem.Clone();
  chain->SetQuantifier(std::make_unique<TcxRegExprQuestionQuantifier>());
  for (int i = 1; i < ACount; ++i) {
    auto link = std::make_unique<TcxRegExprParserBlockItem>(std::make_unique<TcxRegExprQuestionQuantifier>());
    TcxRegExprParserAlt* alt = link->AddAlt();
    alt->Add(AItem.Clone());
    alt->Add(std::move(chain));
    link->UpdateDepth();
    chain = std::move(link);
  }
  return chain;
}

void TcxRegExpr::TcxRegExprParser::AddReference(TcxRegExprParserAlt& AAlt, const TcxLexem& ALexem)
{
  const size_t number = static_cast<size_t>(ALexem.Value[0] - L'0');
  if (number > FBlocks.size()) {
    Error(ALexem, rtl::LoadResString(scxRegExprTooBigReferenceNumber));
    return;
  }
  const TcxRegExprParserBlockItem& group = *FBlocks[number - 1];
  if (!Reserve(group.StateCount(), ALexem))
    return;
  std::unique_ptr<TcxRegExprParserBlockItem> copy = group.CloneBlock();
  // A reference inside its own group copies what is parsed so far, whose
  // depth is not cached yet.
  copy->UpdateDepth();
  AAlt.Add(std::move(copy));
}

bool TcxRegExpr::TcxRegExprParser::Reserve(long long AStates, const TcxLexem& ALexem)
{
  if (FTooLarge)
    return false;
  if (FStateCount + AStates > cxRegExprMaxStates) {
    FTooLarge = true;
    Error(ALexem, rtl::LoadResString(scxRegExprTooLarge));
    return false;
  }
  FStateCount += AStates;
  return true;
}

bool TcxRegExpr::TcxRegExprParser::CheckDepth(const TcxRegExprParserItem& AItem, const TcxLexem& ALexem)
{
  if (AItem.Depth() + 1 <= cxRegExprMaxDepth)
    return true;
  Error(ALexem, rtl::LoadResString(scxRegExprNestedTooDeeply));
  return false;
}

// ---------------------------------------------------------------------------
// The expression

TcxRegExpr::TcxRegExpr() = default;
TcxRegExpr::~TcxRegExpr() = default;

void TcxRegExpr::Clear()
{
  FSource.clear();
  FErrors.Clear();
  FLexems.Clear();
  FAutomat.reset();
  FCompiled = false;
}

void TcxRegExpr::Compile(rtl::TStream* AStream)
{
  if (AStream == nullptr) {
    Clear();
    FErrors.Add(std::make_unique<TcxRegExprError>(0, 0, rtl::LoadResString(scxRegExprNotAssignedSourceStream)));
    throw EcxRegExprError(&FErrors);
  }
  const std::int64_t size = AStream->GetSize();
  rtl::TBytes bytes(static_cast<size_t>(std::max<std::int64_t>(size, 0)));
  AStream->Seek(0, rtl::soBeginning);
  if (!bytes.empty())
    AStream->ReadBuffer(bytes.data(), static_cast<int>(bytes.size()));
  rtl::TEncoding* encoding = rtl::TEncoding::UTF8();
  const int preamble = rtl::TEncoding::GetBufferEncoding(bytes, encoding);
  Compile(encoding->GetString(bytes.data() + preamble, static_cast<int>(bytes.size()) - preamble));
}

void TcxRegExpr::Compile(const String& S)
{
  if (FFirstExpr)
    FFirstExpr = false;
  else
    Clear();
  FSource = S;
  if (std::all_of(FSource.begin(), FSource.end(), cxEditIsBlankChar)) {
    FErrors.Add(std::make_unique<TcxRegExprError>(0, 0, rtl::LoadResString(scxRegExprEmptySourceStream)));
    throw EcxRegExprError(&FErrors);
  }
  TcxRegExprLexer(FSource, FLexems, FErrors).Run();
  if (FErrors.Count() > 0)
    throw EcxRegExprError(&FErrors);
  std::unique_ptr<TcxRegExprParserAlts> tree = TcxRegExprParser(FLexems, FErrors).Run();
  if (FErrors.Count() == 0 && tree->ConnectionCount() > cxRegExprMaxConnections)
    FErrors.Add(std::make_unique<TcxRegExprError>(0, 0, rtl::LoadResString(scxRegExprTooLarge)));
  if (FErrors.Count() > 0)
    throw EcxRegExprError(&FErrors);
  tree->CreateConnections();
  tree->CreateFinalStates();
  FAutomat = std::make_unique<TcxRegExprAutomat>(std::move(tree), this);
  FCompiled = true;
  if (FUpdateOn)
    FAutomat->Update();
}

void TcxRegExpr::SetUpdateOn(bool AValue)
{
  FUpdateOn = AValue;
  if (FUpdateOn && FCompiled)
    FAutomat->Update();
}

TcxRegExprAutomat& TcxRegExpr::CheckCompiled() const
{
  if (!FCompiled)
    throw EcxEditError(rtl::LoadResString(scxRegExprNotCompiled));
  return *FAutomat;
}

bool TcxRegExpr::Next(wchar_t& AToken)
{
  TcxRegExprAutomat& automat = CheckCompiled();
  if (!automat.Next(AToken, FCaseInsensitive, true))
    return false;
  if (FUpdateOn && !automat.IsFinal())
    automat.Update();
  return true;
}

String TcxRegExpr::NextEx(const String& AString)
{
  TcxRegExprAutomat& automat = CheckCompiled();
  String result;
  for (wchar_t c : AString) {
    wchar_t token = c;
    if (automat.Next(token, FCaseInsensitive, false))
      result += c;
  }
  return result;
}

bool TcxRegExpr::Prev()
{
  TcxRegExprAutomat& automat = CheckCompiled();
  if (FUpdateOn)
    automat.ReUpdate();
  return automat.Prev();
}

void TcxRegExpr::Reset()
{
  CheckCompiled().Reset();
}

bool TcxRegExpr::IsFinal() const
{
  return CheckCompiled().IsFinal();
}

bool TcxRegExpr::IsStart() const
{
  return CheckCompiled().IsStart();
}

String TcxRegExpr::Print() const
{
  return CheckCompiled().Print();
}

void TcxRegExpr::DoSymbolUpdate(wchar_t ASymbol) const
{
  if (OnSymbolUpdate)
    OnSymbolUpdate(ASymbol);
}

void TcxRegExpr::DoSymbolDelete() const
{
  if (OnSymbolDelete)
    OnSymbolDelete();
}
