// The regular expressions of the mask editor. An expression always describes
// the whole text from its first character: it is compiled into a tree of
// alternatives, items and quantifiers, the tree is connected into a
// nondeterministic automaton, and the editor feeds that automaton one typed
// character at a time, stepping back for Backspace and cursor moves.
//
// Syntax: literals, 'quoted literals' ('' is one quote), . \d \D \w \W \s \S,
// / and : (the locale's date and time separators), [classes] with ranges and
// ^ negation, (groups) with | alternatives, the quantifiers * + ? and {n},
// {n,}, {n,m}, back-references \1..\9 (a copy of the group as parsed so
// far), escapes \a \e \f \n \r \t, \p (the locale's decimal separator) and
// \xHH. Blanks outside literals are ignored.
//
// Unlike a textbook engine this one bounds what a mask may build: a count
// above cxRegExprMaxCount, groups nested deeper than cxRegExprMaxDepth, a
// tree of more than cxRegExprMaxStates character positions or of more than
// cxRegExprMaxConnections links between them are compile
// errors, so a hostile mask ends with a clean error instead of exhausting
// memory or the stack.
#pragma once

#include <functional>
#include <memory>
#include <unordered_set>
#include <vector>

#include "editors/cxEdit.h"
#include "platform/rtl/SystemResStrings.h"
#include "platform/rtl/SystemTypes.h"

namespace rtl {
class TStream;
}

using rtl::String;

// The texts of the bounds above (the others are the editors' own strings).
inline constexpr rtl::TResStringRec scxRegExprCountTooLarge{64720};
inline constexpr rtl::TResStringRec scxRegExprNestedTooDeeply{64721};
inline constexpr rtl::TResStringRec scxRegExprTooLarge{64722};

inline constexpr int cxRegExprMaxCount = 255;
inline constexpr int cxRegExprMaxDepth = 300;
inline constexpr int cxRegExprMaxStates = 65536;
inline constexpr long long cxRegExprMaxConnections = 1 << 20;

// ---------------------------------------------------------------------------
// Lexemes

enum TcxRegExprLexemCode {
  relcSymbol,
  relcSpecial,
  relcInteger,
  relcAll,
  relcId,
  relcNotId,
  relcDigit,
  relcNotDigit,
  relcSpace,
  relcNotSpace,
  relcReference,
  relcDateSeparator,
  relcTimeSeparator
};

struct TcxLexem {
  int Char = 0;
  TcxRegExprLexemCode Code = relcSymbol;
  int Line = 0;
  // One character, except for integers.
  String Value;
};

class TcxLexems {
 public:
  void Add(const TcxLexem& ALexem) { FItems.push_back(ALexem); }
  void Clear() { FItems.clear(); }
  int Count() const { return static_cast<int>(FItems.size()); }
  const TcxLexem& Items(int AIndex) const { return FItems.at(static_cast<size_t>(AIndex)); }

 private:
  std::vector<TcxLexem> FItems;
};

// ---------------------------------------------------------------------------
// Errors

class TcxRegExprError {
 public:
  TcxRegExprError(int ALine, int AChar, String AMessage)
      : FLine(ALine), FChar(AChar), FMessage(std::move(AMessage)) {}

  int Line() const { return FLine; }
  int Char() const { return FChar; }
  const String& Message() const { return FMessage; }
  // "Line3, Char7: message"; the message alone without a line.
  String FullMessage() const;
  std::unique_ptr<TcxRegExprError> Clone() const { return std::make_unique<TcxRegExprError>(*this); }

 private:
  int FLine;
  int FChar;
  String FMessage;
};

class TcxRegExprErrors {
 public:
  void Add(std::unique_ptr<TcxRegExprError> AError) { FItems.push_back(std::move(AError)); }
  void Clear() { FItems.clear(); }
  std::unique_ptr<TcxRegExprErrors> Clone() const;
  int Count() const { return static_cast<int>(FItems.size()); }
  const TcxRegExprError& Items(int AIndex) const { return *FItems.at(static_cast<size_t>(AIndex)); }

 private:
  std::vector<std::unique_ptr<TcxRegExprError>> FItems;
};

// Carries the expression's own error list, valid while the expression lives;
// the message itself is empty.
class EcxRegExprError : public EcxEditError {
 public:
  explicit EcxRegExprError(const TcxRegExprErrors* AErrors) : EcxEditError(String()), FErrors(AErrors) {}
  const wchar_t* ClassName() const override { return L"EcxRegExprError"; }
  const TcxRegExprErrors* Errors() const { return FErrors; }

 private:
  const TcxRegExprErrors* FErrors;
};

// ---------------------------------------------------------------------------
// Character items: what one character position accepts. All compare UTF-16
// code units.

class TcxRegExprItem {
 public:
  virtual ~TcxRegExprItem() = default;
  // With ACaseInsensitive and ACanChangeCase an accepted letter may come back
  // in the case the expression was written in.
  virtual bool Check(wchar_t& AToken, bool ACaseInsensitive, bool ACanChangeCase) const = 0;
  virtual std::unique_ptr<TcxRegExprItem> Clone() const = 0;
  // True for an item that stands for one literal character (a symbol or a
  // separator), which the automaton may then insert by itself.
  virtual bool GetLiteral(wchar_t& AValue) const
  {
    (void)AValue;
    return false;
  }
};

class TcxRegExprSymbol : public TcxRegExprItem {
 public:
  explicit TcxRegExprSymbol(wchar_t AValue) : FValue(AValue) {}
  bool Check(wchar_t& AToken, bool ACaseInsensitive, bool ACanChangeCase) const override;
  std::unique_ptr<TcxRegExprItem> Clone() const override { return std::make_unique<TcxRegExprSymbol>(FValue); }
  bool GetLiteral(wchar_t& AValue) const override
  {
    AValue = FValue;
    return true;
  }

 private:
  wchar_t FValue;
};

class TcxRegExprSubrange : public TcxRegExprItem {
 public:
  TcxRegExprSubrange(wchar_t AStartValue, wchar_t AFinishValue)
      : FStartValue(AStartValue), FFinishValue(AFinishValue) {}
  bool Check(wchar_t& AToken, bool, bool) const override
  {
    return FStartValue <= AToken && AToken <= FFinishValue;
  }
  std::unique_ptr<TcxRegExprItem> Clone() const override
  {
    return std::make_unique<TcxRegExprSubrange>(FStartValue, FFinishValue);
  }

 private:
  wchar_t FStartValue;
  wchar_t FFinishValue;
};

class TcxRegExprEnumeration : public TcxRegExprItem {
 public:
  explicit TcxRegExprEnumeration(bool AInverse) : FInverse(AInverse) {}

 protected:
  bool FInverse;
};

class TcxRegExprUserEnumeration : public TcxRegExprEnumeration {
 public:
  using TcxRegExprEnumeration::TcxRegExprEnumeration;
  void Add(std::unique_ptr<TcxRegExprItem> AItem) { FItems.push_back(std::move(AItem)); }
  int Count() const { return static_cast<int>(FItems.size()); }
  bool Check(wchar_t& AToken, bool ACaseInsensitive, bool ACanChangeCase) const override;
  std::unique_ptr<TcxRegExprItem> Clone() const override;

 private:
  std::vector<std::unique_ptr<TcxRegExprItem>> FItems;
};

class TcxRegExprDigit : public TcxRegExprEnumeration {
 public:
  using TcxRegExprEnumeration::TcxRegExprEnumeration;
  bool Check(wchar_t& AToken, bool, bool) const override;
  std::unique_ptr<TcxRegExprItem> Clone() const override { return std::make_unique<TcxRegExprDigit>(FInverse); }
};

class TcxRegExprIdLetter : public TcxRegExprEnumeration {
 public:
  using TcxRegExprEnumeration::TcxRegExprEnumeration;
  bool Check(wchar_t& AToken, bool, bool) const override;
  std::unique_ptr<TcxRegExprItem> Clone() const override { return std::make_unique<TcxRegExprIdLetter>(FInverse); }
};

class TcxRegExprSpace : public TcxRegExprEnumeration {
 public:
  using TcxRegExprEnumeration::TcxRegExprEnumeration;
  bool Check(wchar_t& AToken, bool, bool) const override;
  std::unique_ptr<TcxRegExprItem> Clone() const override { return std::make_unique<TcxRegExprSpace>(FInverse); }
};

class TcxRegExprAll : public TcxRegExprItem {
 public:
  bool Check(wchar_t&, bool, bool) const override { return true; }
  std::unique_ptr<TcxRegExprItem> Clone() const override { return std::make_unique<TcxRegExprAll>(); }
};

// The separators are read from the locale at the time of each check.
class TcxRegExprDateSeparator : public TcxRegExprItem {
 public:
  static wchar_t Value();
  bool Check(wchar_t& AToken, bool, bool) const override { return AToken == Value(); }
  std::unique_ptr<TcxRegExprItem> Clone() const override { return std::make_unique<TcxRegExprDateSeparator>(); }
  bool GetLiteral(wchar_t& AValue) const override
  {
    AValue = Value();
    return true;
  }
};

class TcxRegExprTimeSeparator : public TcxRegExprItem {
 public:
  static wchar_t Value();
  bool Check(wchar_t& AToken, bool, bool) const override { return AToken == Value(); }
  std::unique_ptr<TcxRegExprItem> Clone() const override { return std::make_unique<TcxRegExprTimeSeparator>(); }
  bool GetLiteral(wchar_t& AValue) const override
  {
    AValue = Value();
    return true;
  }
};

// ---------------------------------------------------------------------------
// States

class TcxRegExprState;
class TcxRegExprSimpleState;

// An ordered set of states (not owned): adding a state already in it does
// nothing.
class TcxRegExprStates {
 public:
  void Add(TcxRegExprState* AState);
  void Add(const TcxRegExprStates& AStates);
  void Clear();
  int Count() const { return static_cast<int>(FItems.size()); }
  bool IsEmpty() const { return FItems.empty(); }
  TcxRegExprState* GetState(int AIndex) const { return FItems.at(static_cast<size_t>(AIndex)); }
  bool Contains(const TcxRegExprState* AState) const { return FMembers.contains(AState); }
  bool operator==(const TcxRegExprStates& AOther) const { return FItems == AOther.FItems; }

  // Some state in it is a final simple state.
  bool IsFinal() const;
  // The character positions that follow the states of the set.
  TcxRegExprStates GetAllNextStates() const;
  // The positions that accept the token: first the case-sensitive checks of
  // every state, then, with ACaseInsensitive, the case-insensitive ones. Only
  // the first position to accept while none has may change the token's case.
  TcxRegExprStates Next(wchar_t& AToken, bool ACaseInsensitive, bool ACanChangeCase) const;
  // True when the set is not empty and every state in it stands for the same
  // single literal character, stored in ASymbol.
  bool Equ(wchar_t& ASymbol) const;

 private:
  std::vector<TcxRegExprState*> FItems;
  std::unordered_set<const TcxRegExprState*> FMembers;
};

// A state with its ordered successors (not owned). Block states (the start
// and finish of a group) carry no character and are passed through until
// simple states are reached. The walks through them are iterative and visit
// each block state once per walk: a repeated group that can match the empty
// text has start and finish states that reach each other without a
// character, and long chains of optional groups must not cost stack.
class TcxRegExprState {
 public:
  TcxRegExprState() = default;
  TcxRegExprState(const TcxRegExprState&) = delete;
  TcxRegExprState& operator=(const TcxRegExprState&) = delete;
  virtual ~TcxRegExprState() = default;

  void Add(TcxRegExprState* AState) { FStates.Add(AState); }
  void Add(const TcxRegExprStates& AStates) { FStates.Add(AStates); }
  const TcxRegExprStates& States() const { return FStates; }
  // The successors' positions that accept the token.
  TcxRegExprStates Next(wchar_t& AToken, bool ACaseInsensitive, bool ACanChangeCase);
  // The successors' positions.
  TcxRegExprStates GetAllNextStates();
  virtual const TcxRegExprSimpleState* AsSimple() const { return nullptr; }

 private:
  TcxRegExprStates FStates;
};

// One character position; without an item only as the automaton's start.
class TcxRegExprSimpleState : public TcxRegExprState {
 public:
  explicit TcxRegExprSimpleState(std::unique_ptr<TcxRegExprItem> AValue) : FValue(std::move(AValue)) {}

  bool Check(wchar_t& AToken, bool ACaseInsensitive, bool ACanChangeCase) const
  {
    return FValue != nullptr && FValue->Check(AToken, ACaseInsensitive, ACanChangeCase);
  }
  // A copy of the item, without the successors.
  std::unique_ptr<TcxRegExprSimpleState> Clone() const;
  void SetFinal() { FIsFinal = true; }
  bool IsFinal() const { return FIsFinal; }
  const TcxRegExprItem* Value() const { return FValue.get(); }
  const TcxRegExprSimpleState* AsSimple() const override { return this; }

 private:
  bool FIsFinal = false;
  std::unique_ptr<TcxRegExprItem> FValue;
};

class TcxRegExprBlockState : public TcxRegExprState {};

// ---------------------------------------------------------------------------
// The parse tree

class TcxRegExprQuantifier {
 public:
  virtual ~TcxRegExprQuantifier() = default;
  virtual bool CanMissing() const = 0;
  virtual bool CanRepeat() const = 0;
  virtual std::unique_ptr<TcxRegExprQuantifier> Clone() const = 0;
  virtual String Print() const = 0;
};

class TcxRegExprSimpleQuantifier : public TcxRegExprQuantifier {
 public:
  bool CanMissing() const override { return false; }
  bool CanRepeat() const override { return false; }
  std::unique_ptr<TcxRegExprQuantifier> Clone() const override;
  String Print() const override { return String(); }
};

class TcxRegExprQuestionQuantifier : public TcxRegExprQuantifier {
 public:
  bool CanMissing() const override { return true; }
  bool CanRepeat() const override { return false; }
  std::unique_ptr<TcxRegExprQuantifier> Clone() const override;
  String Print() const override { return L"?"; }
};

class TcxRegExprStarQuantifier : public TcxRegExprQuantifier {
 public:
  bool CanMissing() const override { return true; }
  bool CanRepeat() const override { return true; }
  std::unique_ptr<TcxRegExprQuantifier> Clone() const override;
  String Print() const override { return L"*"; }
};

class TcxRegExprPlusQuantifier : public TcxRegExprQuantifier {
 public:
  bool CanMissing() const override { return false; }
  bool CanRepeat() const override { return true; }
  std::unique_ptr<TcxRegExprQuantifier> Clone() const override;
  String Print() const override { return L"+"; }
};

class TcxRegExprParserAlts;

class TcxRegExprParserItem {
 public:
  explicit TcxRegExprParserItem(std::unique_ptr<TcxRegExprQuantifier> AQuantifier);
  TcxRegExprParserItem(const TcxRegExprParserItem&) = delete;
  TcxRegExprParserItem& operator=(const TcxRegExprParserItem&) = delete;
  virtual ~TcxRegExprParserItem() = default;

  virtual bool CanEmpty() const = 0;
  virtual std::unique_ptr<TcxRegExprParserItem> Clone() const = 0;
  virtual String Print() const = 0;
  virtual void SetFinal() = 0;
  // The state that is entered first and the one whose successors follow the
  // item: the same simple state, or the group's start and finish states.
  virtual TcxRegExprState* EntryState() = 0;
  virtual TcxRegExprState* ExitState() = 0;
  // Connects the item's inner states and its exit to AFollowing.
  virtual void CreateConnections(const TcxRegExprStates& AFollowing) = 0;
  // Character positions in the item (the size bound) and groups around them.
  virtual int StateCount() const = 0;
  virtual int Depth() const = 0;
  // The successor links connecting the item will make (the size bound: a run
  // of optional items links each to all that follow).
  virtual long long ConnectionCount() const = 0;

  bool CanMissing() const { return FQuantifier->CanMissing(); }
  bool CanRepeat() const { return FQuantifier->CanRepeat(); }
  bool NotQuantifier() const;
  // Takes the new quantifier; nil changes nothing.
  void SetQuantifier(std::unique_ptr<TcxRegExprQuantifier> AQuantifier);
  const TcxRegExprQuantifier& Quantifier() const { return *FQuantifier; }

 private:
  std::unique_ptr<TcxRegExprQuantifier> FQuantifier;
};

class TcxRegExprParserSimpleItem : public TcxRegExprParserItem {
 public:
  TcxRegExprParserSimpleItem(std::unique_ptr<TcxRegExprSimpleState> AState,
                             std::unique_ptr<TcxRegExprQuantifier> AQuantifier = nullptr);
  bool CanEmpty() const override { return CanMissing(); }
  std::unique_ptr<TcxRegExprParserItem> Clone() const override;
  String Print() const override;
  void SetFinal() override { FState->SetFinal(); }
  TcxRegExprState* EntryState() override { return FState.get(); }
  TcxRegExprState* ExitState() override { return FState.get(); }
  void CreateConnections(const TcxRegExprStates& AFollowing) override;
  int StateCount() const override { return 1; }
  int Depth() const override { return 0; }
  long long ConnectionCount() const override { return 1; }

 private:
  std::unique_ptr<TcxRegExprSimpleState> FState;
};

class TcxRegExprParserAlt {
 public:
  void Add(std::unique_ptr<TcxRegExprParserItem> AItem) { FItems.push_back(std::move(AItem)); }
  TcxRegExprParserItem* GetItem(int AIndex) const { return FItems.at(static_cast<size_t>(AIndex)).get(); }
  int Count() const { return static_cast<int>(FItems.size()); }
  TcxRegExprParserItem* FirstItem() const { return FItems.empty() ? nullptr : FItems.front().get(); }
  TcxRegExprParserItem* LastItem() const { return FItems.empty() ? nullptr : FItems.back().get(); }
  // Frees the last item and puts AItem in its place.
  void SetLastItem(std::unique_ptr<TcxRegExprParserItem> AItem);
  // Removes the last item and hands it over.
  std::unique_ptr<TcxRegExprParserItem> TakeLastItem();
  std::unique_ptr<TcxRegExprParserAlt> Clone() const;
  bool CanEmpty() const;
  bool CanMissing() const;
  String Print() const;
  int StateCount() const;
  int Depth() const;
  long long ConnectionCount() const;
  int StartConnectionCount() const;

  // The states entered first from item AIndex on.
  TcxRegExprStates GetStartConnections(int AIndex = 0) const;
  void CreateConnections();
  // Ties the tail of the alternative to a group's finish state.
  void SetFinishConnections(TcxRegExprState* AFinish);
  void CreateFinalStates();

 private:
  std::vector<std::unique_ptr<TcxRegExprParserItem>> FItems;
};

class TcxRegExprParserAlts {
 public:
  void Add(std::unique_ptr<TcxRegExprParserAlt> AAlt) { FItems.push_back(std::move(AAlt)); }
  TcxRegExprParserAlt* AddAlt();
  // Moves every alternative of AAlts to the end of this list.
  void TakeAlts(TcxRegExprParserAlts& AAlts);
  TcxRegExprParserAlt* GetAlt(int AIndex) const { return FItems.at(static_cast<size_t>(AIndex)).get(); }
  int Count() const { return static_cast<int>(FItems.size()); }
  TcxRegExprParserAlt* LastAlt() const { return FItems.empty() ? nullptr : FItems.back().get(); }
  std::unique_ptr<TcxRegExprParserAlts> Clone() const;
  bool CanEmpty() const;
  String Print() const;
  int StateCount() const;
  int Depth() const;
  long long ConnectionCount() const;

  TcxRegExprStates GetStartConnections() const;
  void CreateConnections();
  void SetFinishConnections(TcxRegExprState* AFinish);
  void CreateFinalStates();
  // Some alternative holds only items that may be missing.
  bool ThereIsEmptyAlt() const;

 private:
  std::vector<std::unique_ptr<TcxRegExprParserAlt>> FItems;
};

class TcxRegExprParserBlockItem : public TcxRegExprParserItem {
 public:
  explicit TcxRegExprParserBlockItem(std::unique_ptr<TcxRegExprQuantifier> AQuantifier = nullptr);
  bool CanEmpty() const override { return CanMissing() || FAlts->CanEmpty(); }
  std::unique_ptr<TcxRegExprParserItem> Clone() const override;
  String Print() const override;
  void SetFinal() override { FAlts->CreateFinalStates(); }
  TcxRegExprState* EntryState() override { return FStartState.get(); }
  TcxRegExprState* ExitState() override { return FFinishState.get(); }
  void CreateConnections(const TcxRegExprStates& AFollowing) override;
  int StateCount() const override { return FAlts->StateCount(); }
  int Depth() const override { return FDepth; }
  long long ConnectionCount() const override;
  // Caches the depth once the alternatives are complete.
  void UpdateDepth() { FDepth = 1 + FAlts->Depth(); }

  TcxRegExprParserAlt* AddAlt() { return FAlts->AddAlt(); }
  // Takes over the alternatives of AAlts.
  void AddAlts(std::unique_ptr<TcxRegExprParserAlts> AAlts);
  std::unique_ptr<TcxRegExprParserBlockItem> CloneBlock() const;
  TcxRegExprParserAlts& Alts() const { return *FAlts; }

 private:
  std::unique_ptr<TcxRegExprParserAlts> FAlts;
  std::unique_ptr<TcxRegExprBlockState> FStartState;
  std::unique_ptr<TcxRegExprBlockState> FFinishState;
  int FDepth = 1;
};

// ---------------------------------------------------------------------------
// The automaton and the expression

class TcxRegExpr;

class TcxRegExprAutomat {
 public:
  TcxRegExprAutomat(std::unique_ptr<TcxRegExprParserAlts> AExpr, TcxRegExpr* AOwner);
  TcxRegExprAutomat(const TcxRegExprAutomat&) = delete;
  TcxRegExprAutomat& operator=(const TcxRegExprAutomat&) = delete;

  bool Next(wchar_t& AToken, bool ACaseInsensitive, bool ACanChangeCase);
  bool Prev();
  void Reset();
  bool IsFinal() const { return FCurrentStates.IsFinal(); }
  bool IsStart() const { return FCurrentStates.Count() > 0 && FCurrentStates.GetState(0) == FStartState.get(); }
  // Inserts the literals that must follow; takes them back.
  void Update();
  void ReUpdate();
  String Print() const { return FExpr->Print(); }

 private:
  TcxRegExpr* FOwner;
  TcxRegExprStates FCurrentStates;
  std::unique_ptr<TcxRegExprParserAlts> FExpr;
  std::vector<TcxRegExprStates> FHistory;
  std::unique_ptr<TcxRegExprSimpleState> FStartState;
};

using TcxSymbolUpdateEvent = std::function<void(wchar_t ASymbol)>;
using TcxSymbolDeleteEvent = std::function<void()>;

class TcxRegExpr {
 public:
  TcxRegExpr();
  ~TcxRegExpr();
  TcxRegExpr(const TcxRegExpr&) = delete;
  TcxRegExpr& operator=(const TcxRegExpr&) = delete;

  // Raises EcxRegExprError with Errors() filled when the text does not
  // compile; with UpdateOn, the literals the expression starts with are
  // inserted at once.
  void Compile(rtl::TStream* AStream);
  void Compile(const String& S);
  void Clear();
  bool IsCompiled() const { return FCompiled; }
  const TcxRegExprErrors& Errors() const { return FErrors; }
  // The source when compiled, else empty.
  String Source() const { return FCompiled ? FSource : String(); }

  bool CaseInsensitive() const { return FCaseInsensitive; }
  void SetCaseInsensitive(bool AValue) { FCaseInsensitive = AValue; }
  bool UpdateOn() const { return FUpdateOn; }
  // Switching it on in a compiled expression inserts the literals due now.
  void SetUpdateOn(bool AValue);

  // The run-time operations raise EcxEditError when not compiled.
  bool Next(wchar_t& AToken);
  String NextEx(const String& AString);
  bool Prev();
  void Reset();
  bool IsFinal() const;
  bool IsStart() const;
  String Print() const;

  TcxSymbolUpdateEvent OnSymbolUpdate;
  TcxSymbolDeleteEvent OnSymbolDelete;

 private:
  friend class TcxRegExprAutomat;
  class TcxRegExprLexer;
  class TcxRegExprParser;

  TcxRegExprAutomat& CheckCompiled() const;
  void DoSymbolUpdate(wchar_t ASymbol) const;
  void DoSymbolDelete() const;

  std::unique_ptr<TcxRegExprAutomat> FAutomat;
  bool FCaseInsensitive = false;
  bool FCompiled = false;
  TcxRegExprErrors FErrors;
  bool FFirstExpr = true;
  TcxLexems FLexems;
  String FSource;
  bool FUpdateOn = false;
};
