// The mask editor, its properties and its three modes.
#include "editors/cxMaskEdit.h"

#include <algorithm>

#include "core/dxCore.h"
#include "editors/cxEditConsts.h"
#include "editors/cxFilterControlUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Clipbrd.h"

namespace {

void cxMaskEditInitialization()
{
  cxEditPropertiesRegistry()->Register(TcxMaskEditProperties::StaticClass(),
                                       dxLookupResourceString(scxSEditRepositoryMaskItem));
  cxFilterEditsControllerInstance()->Register(TcxCustomMaskEditProperties::StaticClass(),
                                              TcxFilterMaskEditHelper::Class());
}

void cxMaskEditFinalization()
{
  cxFilterEditsControllerUnregister(TcxCustomMaskEditProperties::StaticClass(), TcxFilterMaskEditHelper::Class());
}

bool IsBlankMask(const String& AMask)
{
  return std::all_of(AMask.begin(), AMask.end(), cxEditIsBlankChar);
}

bool IsRegExprKind(TcxEditMaskKind AKind)
{
  return AKind != TcxEditMaskKind::emkStandard;
}

// Compiles AMask into AExpr; a mask that does not compile raises
// EcxMaskEditError with every error on a line of its own.
void CompileRegExprMask(TcxRegExpr& AExpr, const String& AMask)
{
  try {
    AExpr.Compile(AMask);
  } catch (const EcxRegExprError& E) {
    String message = rtl::LoadResString(scxMaskEditRegExprError);
    for (int i = 0; i < E.Errors()->Count(); ++i)
      message += L"\r\n" + E.Errors()->Items(i).FullMessage();
    throw EcxMaskEditError(message);
  }
}

}  // namespace

RTL_UNIT(cxMaskEdit, &cxMaskEditInitialization, &cxMaskEditFinalization);

// ---------------------------------------------------------------------------
// TcxMaskEditCustomMode

TcxMaskEditCustomMode::TcxMaskEditCustomMode(TcxCustomMaskEdit* AEdit, TcxCustomMaskEditProperties* AProperties)
    : FProperties(AEdit == nullptr ? AProperties : nullptr), FEdit(AEdit)
{
}

TcxCustomMaskEditProperties* TcxMaskEditCustomMode::ActiveProperties() const
{
  return FEdit != nullptr ? FEdit->GetActiveMaskProperties() : FProperties;
}

bool TcxMaskEditCustomMode::HasLiveEditor() const
{
  return FEdit != nullptr && FEdit->GetInnerEdit() != nullptr;
}

String TcxMaskEditCustomMode::EditText() const
{
  return FEdit->GetEditText();
}

int TcxMaskEditCustomMode::SelStart() const
{
  return FEdit->GetSelStart();
}

int TcxMaskEditCustomMode::SelLength() const
{
  return FEdit->GetSelLength();
}

void TcxMaskEditCustomMode::SetSelStart(int AValue) const
{
  FEdit->SetSelStartInternally(AValue);
}

void TcxMaskEditCustomMode::SetSelLength(int AValue) const
{
  FEdit->SetSelLengthInternally(AValue);
}

bool TcxMaskEditCustomMode::ShiftOn() const
{
  return FEdit->GetShiftOn();
}

void TcxMaskEditCustomMode::SetShiftOn(bool AValue) const
{
  FEdit->SetShiftOn(AValue);
}

void TcxMaskEditCustomMode::SetInnerText(const String& AText) const
{
  FEdit->SetInnerText(AText);
}

bool TcxMaskEditCustomMode::CheckSelTextReplacement(const String&, String&, int&)
{
  return false;
}

void TcxMaskEditCustomMode::BeepOnError()
{
  if (ActiveProperties()->GetBeepOnError())
    MessageBeep(0);
}

void TcxMaskEditCustomMode::SynchronizeEditValue()
{
  if (!HasLiveEditor())
    return;
  rtl::Variant display;
  if (FEdit->GetModifiedAfterEnter())
    display = rtl::Variant(GetFormattedText(FEdit->GetDisplayText(), true));
  else
    ActiveProperties()->PrepareDisplayValue(FEdit->GetEditValue(), display, FEdit->InternalFocused());
  FEdit->SetInnerEditValue(display);
}

// ---------------------------------------------------------------------------
// TcxMaskEditStandardMode: overtype editing, the caret a one-character
// selection over the current position.

void TcxMaskEditStandardMode::Compile(const String& AMask)
{
  FEditMask = AMask;
  if (IsBlankMask(AMask))
    return;
  FMask.Compile(AMask);
  FNeedUpdateEditValue = !HasLiveEditor();
}

String TcxMaskEditStandardMode::GetFormattedText(const String& AText, bool AMatchForBlanksAndLiterals)
{
  String text = AText;
  FMask.Format(text, true, AMatchForBlanksAndLiterals);
  return text;
}

String TcxMaskEditStandardMode::GetUpdatedText(const String& AText, bool AMatchForBlanksAndLiterals)
{
  if (FMask.Count() == 0)
    return AText;
  String text = AText;
  FMask.Format(text, ActiveProperties()->GetCharCase() == vcl::TEditCharCase::ecNormal, AMatchForBlanksAndLiterals);
  FMask.Format2(text);
  return text;
}

bool TcxMaskEditStandardMode::IsFullValidText(const String& AText)
{
  String text = AText;
  if (FMask.IsFullValid(text))
    return true;
  return ActiveProperties()->GetIgnoreMaskBlank() && AText == GetFormattedText(String(), true);
}

int TcxMaskEditStandardMode::FirstNonLiteral() const
{
  for (int i = 0; i < FMask.Count(); ++i)
    if (!FMask.Items(i).IsLiteral())
      return i;
  return FMask.Count();
}

void TcxMaskEditStandardMode::LMouseDown()
{
  if (FEdit == nullptr || !FEdit->HandleAllocated() || FMask.Count() == 0)
    return;
  if (SelLength() == 0 && SelStart() < static_cast<int>(EditText().size()))
    SetSelLength(1);
}

void TcxMaskEditStandardMode::SetText(const String&)
{
  LMouseDown();
}

void TcxMaskEditStandardMode::SynchronizeEditValue()
{
  TcxMaskEditCustomMode::SynchronizeEditValue();
  LMouseDown();
}

void TcxMaskEditStandardMode::UpdateEditValue()
{
  if (!FNeedUpdateEditValue || FEdit == nullptr)
    return;
  FEdit->SetInternalEditValue(rtl::Variant(GetEmptyString()));
  FNeedUpdateEditValue = false;
}

bool TcxMaskEditStandardMode::IsCursorBegin()
{
  return FirstNonLiteral() >= SelStart() && (SelLength() < 2 || FEdit->GetCursorPos() == SelStart());
}

bool TcxMaskEditStandardMode::IsCursorEnd()
{
  return SelStart() == static_cast<int>(EditText().size());
}

bool TcxMaskEditStandardMode::PressSymbol(wchar_t& ASymbol)
{
  const String text = EditText();
  const int pos = SelStart();
  if (text.empty() || pos >= static_cast<int>(text.size()))
    return false;
  if (IsLiteralAt(pos)) {
    SetShiftOn(false);
    if (SelLength() > 1)
      PressDelete();
    PressRight();
    if (SelStart() != pos)
      PressSymbol(ASymbol);
    return false;
  }
  if (pos >= FMask.Count() || !FMask.Items(pos).Check(ASymbol))
    return false;
  if (!FEdit->IsCharValidAt(ASymbol, pos + 1))
    return false;
  if (ASymbol == 0) {
    BeepOnError();
    return false;
  }
  if (SelLength() > 1)
    PressDelete();
  String updated = EditText();
  updated[static_cast<size_t>(pos)] = ASymbol;
  SetInnerText(updated);
  SetSelStart(pos);
  SetShiftOn(false);
  PressRight();
  return false;
}

bool TcxMaskEditStandardMode::PressDelete()
{
  FEdit->LockChangeEvents(true);
  rtl::Finally unlock([this] { FEdit->LockChangeEvents(false); });
  const int start = SelStart();
  const int end = start + SelLength();
  for (int i = start; i < end; ++i) {
    if (IsLiteralAt(i) || i >= FMask.Count())
      continue;
    String text = EditText();
    if (i >= static_cast<int>(text.size()))
      break;
    text[static_cast<size_t>(i)] = GetBlank(i);
    SetInnerText(text);
    SetSelStart(start);
  }
  return false;
}

bool TcxMaskEditStandardMode::PressBackSpace()
{
  if (SelLength() <= 1)
    PressLeft();
  PressDelete();
  return false;
}

bool TcxMaskEditStandardMode::PressLeft()
{
  const int length = static_cast<int>(EditText().size());
  const int start = SelStart();
  const int selLength = SelLength();
  if (ShiftOn()) {
    if (selLength == 1) {
      SetSelStart(start + 1);
      SetSelLength(0);
      FEdit->SendOwnKeyDown(VK_LEFT, vcl::TShiftState{vcl::TShiftStateItem::ssShift});
      FEdit->SendOwnKeyDown(VK_LEFT, vcl::TShiftState{vcl::TShiftStateItem::ssShift});
    }
    return true;
  }
  if (selLength >= 2) {
    const int last = std::min(start + selLength, length - 1);
    for (int i = start; i <= last; ++i)
      if (!IsLiteralAt(i)) {
        SetSelStart(i);
        LMouseDown();
        return false;
      }
    SetSelStart(start + selLength >= length ? length : start);
    LMouseDown();
    return false;
  }
  for (int i = start - 1; i >= 0; --i)
    if (!IsLiteralAt(i)) {
      SetSelStart(i);
      LMouseDown();
      return false;
    }
  LMouseDown();
  return false;
}

bool TcxMaskEditStandardMode::PressRight()
{
  const int length = static_cast<int>(EditText().size());
  const int start = SelStart();
  const int selLength = SelLength();
  if (ShiftOn()) {
    if (selLength == 1 && FEdit->GetCursorPos() == start)
      SetSelLength(0);
    return true;
  }
  if (selLength >= 2) {
    const int end = start + selLength;
    if (end >= length) {
      SetSelStart(length);
      return false;
    }
    int target = end - 1;
    for (int i = end - 1; i >= start; --i)
      if (!IsLiteralAt(i)) {
        target = i;
        break;
      }
    SetSelStart(target);
    LMouseDown();
    return false;
  }
  if (start >= length)
    return false;
  for (int i = start + 1; i < length; ++i)
    if (!IsLiteralAt(i)) {
      SetSelStart(i);
      LMouseDown();
      return false;
    }
  SetSelStart(length);
  return false;
}

bool TcxMaskEditStandardMode::PressHome()
{
  if (ShiftOn())
    return true;
  SetSelStart(0);
  if (IsLiteralAt(0))
    PressRight();
  else
    LMouseDown();
  return false;
}

bool TcxMaskEditStandardMode::PressEnd()
{
  if (ShiftOn())
    return true;
  SetSelStart(static_cast<int>(EditText().size()));
  return false;
}

void TcxMaskEditStandardMode::PrePasteFromClipboard()
{
  FSelStart = SelStart();
  SetSelStart(FSelStart);
  SetSelLength(FClipboardTextLength);
}

bool TcxMaskEditStandardMode::CheckSelTextReplacement(const String& AText, String& ANewText, int& ACaretPos)
{
  if (AText.empty())
    return false;
  ANewText = EditText();
  const int length = static_cast<int>(ANewText.size());
  int pos = SelStart();
  int skipped = 0;
  for (wchar_t c : AText) {
    while (pos < length && pos < FMask.Count() && IsLiteralAt(pos)) {
      wchar_t probe = c;
      if (FMask.Items(pos).Check(probe))
        break;
      ++pos;
      ++skipped;
    }
    if (pos >= length)
      break;
    wchar_t converted = c;
    if (pos < FMask.Count() && !IsLiteralAt(pos))
      FMask.Items(pos).Check(converted);
    ANewText[static_cast<size_t>(pos)] = converted;
    ++pos;
  }
  ACaretPos = std::clamp(SelStart() + static_cast<int>(AText.size()) + skipped, 0, length);
  return true;
}

void TcxMaskEditStandardMode::AfterPasteFromClipboard()
{
  const int pos = SelStart();
  if (pos < static_cast<int>(EditText().size()) && IsLiteralAt(pos)) {
    SetShiftOn(false);
    PressRight();
  }
}

// ---------------------------------------------------------------------------
// TcxMaskEditRegExprMode: the text left of the caret (the head) has been fed
// to the automaton; the text right of it (the tail) must still fit behind.

TcxMaskEditRegExprMode::TcxMaskEditRegExprMode(TcxCustomMaskEdit* AEdit, TcxCustomMaskEditProperties* AProperties)
    : TcxMaskEditCustomMode(AEdit, AProperties)
{
  SetRegExprCaseInsensitive();
}

void TcxMaskEditRegExprMode::SetRegExprCaseInsensitive()
{
  if (TcxCustomMaskEditProperties* properties = ActiveProperties())
    FRegExpr.SetCaseInsensitive(properties->GetCaseInsensitive());
}

void TcxMaskEditRegExprMode::Compile(const String& AMask)
{
  FEditMask = AMask;
  if (IsBlankMask(AMask))
    return;
  CompileRegExprMask(FRegExpr, AMask);
}

void TcxMaskEditRegExprMode::Restart(const String& AText)
{
  FHead.clear();
  FTail = AText;
  FRegExpr.Reset();
}

bool TcxMaskEditRegExprMode::TailFits()
{
  int accepted = 0;
  bool fits = true;
  for (wchar_t& c : FTail) {
    if (!Feed(c)) {
      fits = false;
      break;
    }
    ++accepted;
  }
  for (int i = 0; i < accepted; ++i)
    FRegExpr.Prev();
  return fits;
}

void TcxMaskEditRegExprMode::CutTail()
{
  String text = EditText();
  const size_t start = static_cast<size_t>(std::clamp(SelStart(), 0, static_cast<int>(text.size())));
  text.erase(start, FTail.size());
  SetInnerText(text);
  SetSelStart(static_cast<int>(text.size()));
  FTail.clear();
}

bool TcxMaskEditRegExprMode::IsResyncNeeded()
{
  if (FMouseAction)
    return true;
  const String text = EditText();
  return !text.empty() && FHead.empty() && (FHead + FTail != text || SelStart() != 0);
}

void TcxMaskEditRegExprMode::Resync()
{
  if (FEdit == nullptr || !IsResyncNeeded())
    return;
  FMouseAction = false;
  Restart(EditText());
  const int caret = std::min(SelStart(), static_cast<int>(FTail.size()));
  for (int i = 0; i < caret; ++i) {
    wchar_t c = FTail.front();
    Feed(c);
    FHead += FTail.front();
    FTail.erase(0, 1);
  }
}

void TcxMaskEditRegExprMode::CutSelection()
{
  const int length = SelLength();
  if (length <= 0)
    return;
  if (SelStart() == static_cast<int>(FHead.size())) {
    FSelect = FTail.substr(0, static_cast<size_t>(length));
    FTail.erase(0, FSelect.size());
    FBeginCursor = true;
  } else {
    const size_t count = std::min(FHead.size(), static_cast<size_t>(length));
    FSelect = FHead.substr(FHead.size() - count);
    FHead.erase(FHead.size() - count);
    for (size_t i = 0; i < count; ++i)
      FRegExpr.Prev();
    FBeginCursor = false;
  }
}

void TcxMaskEditRegExprMode::RestoreSelection()
{
  if (FSelect.empty())
    return;
  if (FBeginCursor) {
    FTail = FSelect + FTail;
  } else {
    for (wchar_t c : FSelect) {
      wchar_t token = c;
      Feed(token);
      FHead += c;
    }
  }
  FSelect.clear();
}

bool TcxMaskEditRegExprMode::PressSymbol(wchar_t& ASymbol)
{
  Resync();
  const bool hadSelection = SelLength() > 0;
  CutSelection();
  bool result = false;
  if (Feed(ASymbol)) {
    FHead += ASymbol;
    result = true;
    if (!TailFits()) {
      if (hadSelection) {
        FEdit->SendOwnKeyDown(VK_DELETE);
        FEdit->SendOwnKeyPress(ASymbol);
        result = false;
      }
      CutTail();
    }
  } else {
    RestoreSelection();
  }
  FSelect.clear();
  if (!result)
    BeepOnError();
  return result;
}

bool TcxMaskEditRegExprMode::PressBackSpace()
{
  Resync();
  bool result = true;
  if (SelLength() > 0) {
    CutSelection();
    if (!TailFits()) {
      FEdit->SendOwnKeyPress(L'\b');
      CutTail();
      result = false;
    }
  } else if (!FHead.empty()) {
    FRegExpr.Prev();
    // The inner window takes the character out either way, so the head
    // loses it too; a tail that no longer fits goes first.
    if (!TailFits())
      CutTail();
    FHead.pop_back();
  }
  FSelect.clear();
  if (!result)
    BeepOnError();
  return result;
}

bool TcxMaskEditRegExprMode::PressDelete()
{
  Resync();
  bool result = true;
  if (SelLength() > 0) {
    CutSelection();
    if (!TailFits()) {
      FEdit->SendOwnKeyDown(VK_DELETE);
      CutTail();
      result = false;
    }
  } else if (!FTail.empty()) {
    FSelect = FTail.substr(0, 1);
    FTail.erase(0, 1);
    if (!TailFits()) {
      CutTail();
      SetSelStart(SelStart() - 1);
    }
  }
  FSelect.clear();
  if (!result)
    BeepOnError();
  return result;
}

bool TcxMaskEditRegExprMode::PressLeft()
{
  Resync();
  if (FHead.empty())
    return true;
  const int length = SelLength();
  if (length > 0 && !ShiftOn()) {
    if (FEdit->GetCursorPos() == SelStart() + length) {
      const size_t count = std::min(FHead.size(), static_cast<size_t>(length));
      FTail = FHead.substr(FHead.size() - count) + FTail;
      FHead.erase(FHead.size() - count);
      for (size_t i = 0; i < count; ++i)
        FRegExpr.Prev();
    }
    return true;
  }
  FTail.insert(FTail.begin(), FHead.back());
  FHead.pop_back();
  FRegExpr.Prev();
  return true;
}

bool TcxMaskEditRegExprMode::PressRight()
{
  Resync();
  if (FTail.empty())
    return true;
  const int length = SelLength();
  if (length > 0 && !ShiftOn()) {
    if (FEdit->GetCursorPos() == SelStart()) {
      const size_t count = std::min(FTail.size(), static_cast<size_t>(length));
      for (size_t i = 0; i < count; ++i) {
        wchar_t c = FTail[i];
        Feed(c);
      }
      FHead += FTail.substr(0, count);
      FTail.erase(0, count);
    }
    return true;
  }
  wchar_t c = FTail.front();
  Feed(c);
  FHead += FTail.front();
  FTail.erase(0, 1);
  return true;
}

bool TcxMaskEditRegExprMode::PressHome()
{
  Resync();
  FTail = FHead + FTail;
  FHead.clear();
  FRegExpr.Reset();
  return true;
}

bool TcxMaskEditRegExprMode::PressEnd()
{
  Resync();
  for (wchar_t c : FTail) {
    wchar_t token = c;
    Feed(token);
  }
  FHead += FTail;
  FTail.clear();
  return true;
}

void TcxMaskEditRegExprMode::GotoEnd()
{
  PressEnd();
}

String TcxMaskEditRegExprMode::GetFormattedText(const String& AText, bool)
{
  if (!FRegExpr.IsCompiled())
    return String();
  FRegExpr.Reset();
  String result;
  for (wchar_t c : AText) {
    wchar_t token = c;
    if (Feed(token))
      result += token;
  }
  return result;
}

bool TcxMaskEditRegExprMode::CompileTemporary(TcxRegExpr& AExpr) const
{
  if (IsBlankMask(FEditMask))
    return false;
  AExpr.SetCaseInsensitive(ActiveProperties()->GetCaseInsensitive());
  try {
    AExpr.Compile(FEditMask);
  } catch (const EcxRegExprError&) {
    return false;
  }
  return true;
}

bool TcxMaskEditRegExprMode::IsFullValidText(const String& AText)
{
  if (AText.empty())
    return true;
  TcxRegExpr expr;
  if (!CompileTemporary(expr))
    return false;
  for (wchar_t c : AText) {
    wchar_t token = c;
    if (!expr.Next(token))
      return false;
  }
  return ActiveProperties()->GetIgnoreMaskBlank() || expr.IsFinal();
}

void TcxMaskEditRegExprMode::SetText(const String& AText)
{
  if (FClipboardTextLength < 1 || AText.empty()) {
    Restart(AText);
    return;
  }
  FRegExpr.Reset();
  const size_t count = std::min(AText.size(), static_cast<size_t>(std::max(SelStart(), 0) + FClipboardTextLength));
  FHead = AText.substr(0, count);
  for (wchar_t c : FHead) {
    wchar_t token = c;
    Feed(token);
  }
  FTail = AText.substr(count);
  FClipboardTextLength = 0;
}

void TcxMaskEditRegExprMode::SynchronizeEditValue()
{
  TcxMaskEditCustomMode::SynchronizeEditValue();
  if (FEdit == nullptr)
    return;
  const String text = EditText();
  SetSelStart(static_cast<int>(text.size()));
  Restart(text);
}

// ---------------------------------------------------------------------------
// TcxMaskEditRegExprExMode: literals the expression fixes are typed by the
// mode and taken back with the character before them.

TcxMaskEditRegExprExMode::TcxMaskEditRegExprExMode(TcxCustomMaskEdit* AEdit,
                                                   TcxCustomMaskEditProperties* AProperties)
    : TcxMaskEditRegExprMode(AEdit, AProperties)
{
  FRegExpr.OnSymbolUpdate = [this](wchar_t ASymbol) { FUpdate += ASymbol; };
  FRegExpr.OnSymbolDelete = [this]() { ++FDeleteNumber; };
  FRegExpr.SetUpdateOn(true);
  Clear();
}

void TcxMaskEditRegExprExMode::Compile(const String& AMask)
{
  Clear();
  TcxMaskEditRegExprMode::Compile(AMask);
  FNeedUpdateEditValue = !HasLiveEditor();
}

void TcxMaskEditRegExprExMode::UpdateEditValue()
{
  if (!FNeedUpdateEditValue || FEdit == nullptr)
    return;
  FEdit->SetInternalEditValue(rtl::Variant(FUpdate));
  FNeedUpdateEditValue = false;
}

bool TcxMaskEditRegExprExMode::TemporaryPrefix(TcxRegExpr& AExpr, String& APrefix) const
{
  if (!CompileTemporary(AExpr))
    return false;
  AExpr.OnSymbolUpdate = [&APrefix](wchar_t ASymbol) { APrefix += ASymbol; };
  AExpr.SetUpdateOn(true);
  AExpr.OnSymbolUpdate = nullptr;
  return true;
}

String TcxMaskEditRegExprExMode::GetEmptyString()
{
  FInternalUpdate.clear();
  TcxRegExpr expr;
  TemporaryPrefix(expr, FInternalUpdate);
  return FInternalUpdate;
}

String TcxMaskEditRegExprExMode::GetFormattedText(const String& AText, bool AMatchForBlanksAndLiterals)
{
  if (!FRegExpr.IsCompiled())
    return String();
  FRegExpr.SetUpdateOn(false);
  Clear();
  const String accepted = TcxMaskEditRegExprMode::GetFormattedText(AText, AMatchForBlanksAndLiterals);
  FRegExpr.SetUpdateOn(true);
  return accepted + FUpdate;
}

bool TcxMaskEditRegExprExMode::IsFullValidText(const String& AText)
{
  TcxRegExpr expr;
  String prefix;
  if (!TemporaryPrefix(expr, prefix))
    return AText.empty();
  if (AText == prefix)
    return true;
  expr.SetUpdateOn(false);
  expr.Reset();
  for (wchar_t c : AText) {
    wchar_t token = c;
    if (!expr.Next(token))
      return false;
  }
  return ActiveProperties()->GetIgnoreMaskBlank() || expr.IsFinal();
}

void TcxMaskEditRegExprExMode::SetText(const String& AText)
{
  if (!FRegExpr.IsCompiled()) {
    Restart(AText);
    return;
  }
  FRegExpr.SetUpdateOn(false);
  FRegExpr.Reset();
  for (wchar_t c : AText) {
    wchar_t token = c;
    Feed(token);
  }
  Clear();
  FRegExpr.SetUpdateOn(true);
  FHead = AText + FUpdate;
  FTail.clear();
  if (HasLiveEditor()) {
    FMouseAction = true;
    Resync();
  }
  FClipboardTextLength = 0;
}

void TcxMaskEditRegExprExMode::StepRight()
{
  Clear();
  if (FTail.empty())
    return;
  wchar_t c = FTail.front();
  Feed(c);
  FHead += FTail.front();
  FTail.erase(0, 1);
  // The literals the automaton inserted stand next in the tail.
  const size_t count = std::min(FUpdate.size(), FTail.size());
  FHead += FTail.substr(0, count);
  FTail.erase(0, count);
}

void TcxMaskEditRegExprExMode::StepLeft()
{
  Clear();
  if (FHead.empty())
    return;
  FRegExpr.Prev();
  const size_t count = std::min(FHead.size(), static_cast<size_t>(FDeleteNumber + 1));
  FTail = FHead.substr(FHead.size() - count) + FTail;
  FHead.erase(FHead.size() - count);
  if (FRegExpr.IsStart())
    FHead.clear();
}

void TcxMaskEditRegExprExMode::Resync()
{
  if (FEdit == nullptr || !FEdit->HandleAllocated() || !FRegExpr.IsCompiled())
    return;
  if (IsResyncNeeded()) {
    Restart(EditText());
    FMouseAction = true;
  }
  if (!FMouseAction)
    return;
  FMouseAction = false;
  const int start = SelStart();
  const int end = start + SelLength();
  // Walk the caret to the selection start, a step (a character and the
  // literals tied to it) at a time.
  FRegExpr.SetUpdateOn(true);
  while (static_cast<int>(FHead.size()) < start && !FTail.empty()) {
    StepRight();
    if (static_cast<int>(FHead.size()) > start) {
      StepLeft();
      SetSelStart(static_cast<int>(FHead.size()));
      return;
    }
  }
  while (static_cast<int>(FHead.size()) > start) {
    StepLeft();
    if (static_cast<int>(FHead.size()) < start) {
      SetSelStart(static_cast<int>(FHead.size()));
      return;
    }
  }
  if (start < end) {
    while (static_cast<int>(FHead.size()) < end && !FTail.empty())
      StepRight();
    SetSelLength(static_cast<int>(FHead.size()) - SelStart());
  }
}

void TcxMaskEditRegExprExMode::CutSelection()
{
  FRegExpr.SetUpdateOn(false);
  TcxMaskEditRegExprMode::CutSelection();
  Clear();
  FRegExpr.SetUpdateOn(true);
  if (!FUpdate.empty()) {
    FRegExpr.SetUpdateOn(false);
    FRegExpr.Prev();
    FRegExpr.SetUpdateOn(true);
  }
  Clear();
}

void TcxMaskEditRegExprExMode::RestoreSelection()
{
  FRegExpr.SetUpdateOn(false);
  TcxMaskEditRegExprMode::RestoreSelection();
  Clear();
  FRegExpr.SetUpdateOn(true);
  if (!FUpdate.empty()) {
    FRegExpr.SetUpdateOn(false);
    FRegExpr.Prev();
    FRegExpr.SetUpdateOn(true);
  }
  Clear();
}

String TcxMaskEditRegExprExMode::LiteralPrefix()
{
  TcxRegExpr expr;
  String prefix;
  TemporaryPrefix(expr, prefix);
  return prefix;
}

// After an edit the tail goes back through the automaton: the literals it
// now needs are typed into the window behind it, and the automaton returns
// to the caret.
void TcxMaskEditRegExprExMode::RefeedTail()
{
  Clear();
  FRegExpr.SetUpdateOn(false);
  const int caret = SelStart();
  for (wchar_t& c : FTail)
    Feed(c);
  SetSelStart(caret + static_cast<int>(FTail.size()));
  FRegExpr.SetUpdateOn(true);
  for (wchar_t c : FUpdate) {
    FTail += c;
    FEdit->SendOwnKeyPress(c);
  }
  FRegExpr.SetUpdateOn(false);
  for (size_t i = 0; i < FTail.size(); ++i)
    FRegExpr.Prev();
  SetSelStart(caret);
  Clear();
}

void TcxMaskEditRegExprExMode::RefeedOrCutTail()
{
  FRegExpr.SetUpdateOn(false);
  if (TailFits())
    RefeedTail();
  else
    CutTail();
  FRegExpr.SetUpdateOn(false);
  Clear();
  // Switching insertion back on must not type the literals due at the
  // caret: they belong to the next key.
  FRegExpr.OnSymbolUpdate = nullptr;
  FRegExpr.SetUpdateOn(true);
  FRegExpr.OnSymbolUpdate = [this](wchar_t ASymbol) { FUpdate += ASymbol; };
}

bool TcxMaskEditRegExprExMode::PressSymbol(wchar_t& ASymbol)
{
  Resync();
  Clear();
  if (SelLength() > 0) {
    const int start = SelStart();
    const String prefix = start == 0 ? LiteralPrefix() : String();
    if (!prefix.empty()) {
      // Typing over a selection from the start keeps the literal prefix.
      const String text = EditText();
      const int selEnd = start + SelLength();
      FRegExpr.SetUpdateOn(false);
      FRegExpr.Reset();
      for (wchar_t c : prefix) {
        wchar_t token = c;
        Feed(token);
      }
      FHead = prefix;
      FTail = text.substr(prefix.size());
      SetSelStart(static_cast<int>(prefix.size()));
      SetSelLength(std::max(selEnd - static_cast<int>(prefix.size()), 0));
      FRegExpr.SetUpdateOn(true);
      Clear();
    }
    CutSelection();
    if (FBeginCursor && !FSelect.empty())
      FEdit->SendOwnKeyDown(VK_DELETE);
    else if (!FSelect.empty())
      FEdit->SendOwnKeyPress(L'\b');
  }
  Clear();
  wchar_t symbol = ASymbol;
  if (Feed(symbol)) {
    FHead += symbol;
    FHead += FUpdate;
    const String typed = symbol + FUpdate;
    Clear();
    for (wchar_t c : typed)
      FEdit->SendOwnKeyPress(c);
    RefeedOrCutTail();
  } else {
    if (!FSelect.empty()) {
      const String selection = FSelect;
      for (wchar_t c : selection)
        FEdit->SendOwnKeyPress(c);
      if (FBeginCursor)
        SetSelStart(SelStart() - static_cast<int>(selection.size()));
      RestoreSelection();
    }
    BeepOnError();
  }
  FSelect.clear();
  return false;
}

bool TcxMaskEditRegExprExMode::PressBackSpace()
{
  Resync();
  Clear();
  if (SelLength() > 0) {
    CutSelection();
    FEdit->SendOwnKeyPress(L'\b');
    FSelect.clear();
    RefeedOrCutTail();
    return false;
  }
  if (FHead.empty())
    return false;
  FRegExpr.SetUpdateOn(true);
  FRegExpr.Prev();
  if (FRegExpr.IsStart() && SelStart() == FDeleteNumber) {
    // The literal prefix stays: feed its first character again, which types
    // the rest of it into the automaton.
    FRegExpr.SetUpdateOn(false);
    for (wchar_t c : FHead) {
      wchar_t token = c;
      if (!Feed(token))
        break;
    }
    FRegExpr.SetUpdateOn(true);
    Clear();
    BeepOnError();
    return false;
  }
  const int count = std::min(FDeleteNumber + 1, static_cast<int>(FHead.size()));
  const size_t before = EditText().size();
  for (int i = 0; i < count; ++i)
    FEdit->SendOwnKeyPress(L'\b');
  const size_t removed = before - EditText().size();
  FHead.erase(FHead.size() - std::min(removed, FHead.size()));
  RefeedOrCutTail();
  return false;
}

bool TcxMaskEditRegExprExMode::PressDelete()
{
  Resync();
  Clear();
  if (SelLength() > 0)
    return PressBackSpace();
  if (FTail.empty())
    return false;
  if (SelStart() == 0 && !LiteralPrefix().empty()) {
    BeepOnError();
    return false;
  }
  wchar_t c = FTail.front();
  FRegExpr.SetUpdateOn(true);
  Feed(c);
  const int count = std::min(static_cast<int>(FUpdate.size()) + 1, static_cast<int>(FTail.size()));
  for (int i = 0; i < count; ++i)
    FEdit->SendOwnKeyDown(VK_DELETE);
  FTail.erase(0, static_cast<size_t>(count));
  FRegExpr.SetUpdateOn(false);
  FRegExpr.Prev();
  RefeedOrCutTail();
  return false;
}

bool TcxMaskEditRegExprExMode::PressLeft()
{
  Resync();
  Clear();
  const int length = SelLength();
  if (length > 0 && !ShiftOn()) {
    if (FEdit->GetCursorPos() == SelStart() + length) {
      FRegExpr.SetUpdateOn(false);
      TcxMaskEditRegExprMode::PressLeft();
      Clear();
      FRegExpr.SetUpdateOn(true);
      if (!FUpdate.empty()) {
        FRegExpr.SetUpdateOn(false);
        FRegExpr.Prev();
        FRegExpr.SetUpdateOn(true);
      }
      Clear();
    }
    return true;
  }
  if (FHead.empty())
    return true;
  FRegExpr.SetUpdateOn(true);
  FRegExpr.Prev();
  int extra = std::min(FDeleteNumber, static_cast<int>(FHead.size()) - 1);
  if (FRegExpr.IsStart()) {
    // At the start the literal prefix stays where it is.
    const int anchor = SelStart() == 0 ? SelLength() : SelStart();
    if (extra + 1 == anchor && extra > 0) {
      FRegExpr.SetUpdateOn(false);
      for (int i = 0; i < extra; ++i) {
        wchar_t token = FHead[static_cast<size_t>(i)];
        Feed(token);
      }
      FRegExpr.SetUpdateOn(true);
      FTail.insert(FTail.begin(), FHead.back());
      FHead.pop_back();
      Clear();
      return true;
    }
  }
  const size_t count = static_cast<size_t>(extra + 1);
  FTail = FHead.substr(FHead.size() - count) + FTail;
  FHead.erase(FHead.size() - count);
  for (int i = 0; i < extra; ++i)
    FEdit->SendOwnKeyDown(VK_LEFT);
  Clear();
  return true;
}

bool TcxMaskEditRegExprExMode::PressRight()
{
  Resync();
  Clear();
  const int length = SelLength();
  if (length > 0 && !ShiftOn()) {
    if (FEdit->GetCursorPos() == SelStart()) {
      FRegExpr.SetUpdateOn(false);
      TcxMaskEditRegExprMode::PressRight();
      Clear();
      FRegExpr.SetUpdateOn(true);
      Clear();
    }
    return true;
  }
  if (FTail.empty())
    return true;
  FRegExpr.SetUpdateOn(true);
  StepRight();
  const int literals = static_cast<int>(std::min(FUpdate.size(), FTail.size() + FUpdate.size()));
  for (int i = 0; i < literals; ++i)
    FEdit->SendOwnKeyDown(VK_RIGHT);
  Clear();
  return true;
}

bool TcxMaskEditRegExprExMode::PressHome()
{
  TcxMaskEditRegExprMode::PressHome();
  return true;
}

bool TcxMaskEditRegExprExMode::PressEnd()
{
  FRegExpr.SetUpdateOn(false);
  TcxMaskEditRegExprMode::PressEnd();
  FRegExpr.SetUpdateOn(true);
  Clear();
  return true;
}

void TcxMaskEditRegExprExMode::GotoEnd()
{
  PressEnd();
}

void TcxMaskEditRegExprExMode::AfterPasteFromClipboard()
{
  if (FNewCursorPos >= 0) {
    SetSelStart(FNewCursorPos);
    FNewCursorPos = -1;
  }
}

// ---------------------------------------------------------------------------
// TcxCustomMaskEditProperties

void TcxCustomMaskEditProperties::Create(rtl::TPersistent* AOwner)
{
  inherited::Create(AOwner);
  FCaseInsensitive = true;
  FMaskKind = TcxEditMaskKind::emkStandard;
  SetValidateOnEnter(true);
}

void TcxCustomMaskEditProperties::Destroy()
{
  FTempMode.reset();
  inherited::Destroy();
}

std::unique_ptr<TcxMaskEditCustomMode> TcxCustomMaskEditProperties::CreateMode(TcxEditMaskKind AMaskKind,
                                                                              TcxCustomMaskEdit* AEdit)
{
  switch (AMaskKind) {
    case TcxEditMaskKind::emkStandard:
      return std::make_unique<TcxMaskEditStandardMode>(AEdit, this);
    case TcxEditMaskKind::emkRegExpr:
      return std::make_unique<TcxMaskEditRegExprMode>(AEdit, this);
    default:
      return std::make_unique<TcxMaskEditRegExprExMode>(AEdit, this);
  }
}

String TcxCustomMaskEditProperties::GetEditMask()
{
  if (FMaskKind == TcxEditMaskKind::emkStandard && IsBlankMask(FEditMask)) {
    IcxEditDefaultValuesProvider* provider = GetIDefaultValuesProvider();
    return provider != nullptr ? provider->DefaultEditMask() : String();
  }
  return FEditMask;
}

bool TcxCustomMaskEditProperties::IsMasked()
{
  return !IsBlankMask(GetEditMask());
}

void TcxCustomMaskEditProperties::SetEditMask(const String& AValue)
{
  if (AValue == GetEditMask()) {
    FEditMask = AValue;
    return;
  }
  // A mask that does not compile raises here and the old one stays.
  CreateMode(FMaskKind, nullptr)->Compile(AValue);
  FEditMask = AValue;
  Changed();
}

void TcxCustomMaskEditProperties::SetMaskKind(TcxEditMaskKind AValue)
{
  if (AValue == FMaskKind)
    return;
  FMaskKind = AValue;
  Changed();
}

void TcxCustomMaskEditProperties::SetAlwaysShowBlanksAndLiterals(bool AValue)
{
  if (AValue == FAlwaysShowBlanksAndLiterals)
    return;
  FAlwaysShowBlanksAndLiterals = AValue;
  Changed();
}

void TcxCustomMaskEditProperties::SetCaseInsensitive(bool AValue)
{
  FCaseInsensitive = GetCharCase() != vcl::TEditCharCase::ecNormal || AValue;
  Changed();
}

void TcxCustomMaskEditProperties::SetMaskCharCase(vcl::TEditCharCase AValue)
{
  if (AValue != vcl::TEditCharCase::ecNormal)
    FCaseInsensitive = true;
  SetCharCase(AValue);
}

TcxCustomEditClass TcxCustomMaskEditProperties::GetContainerClass()
{
  return TcxCustomEditClass::Of<TcxMaskEdit>();
}

TcxEditSupportedOperations TcxCustomMaskEditProperties::GetSupportedOperations()
{
  TcxEditSupportedOperations result = inherited::GetSupportedOperations();
  if (!GetEditMask().empty())
    result.Exclude(TcxEditSupportedOperation::esoEditingAutoHeight);
  return result;
}

bool TcxCustomMaskEditProperties::IsEditValueValid(rtl::Variant& EditValue, bool AEditFocused)
{
  return IsMasked() || inherited::IsEditValueValid(EditValue, AEditFocused);
}

unsigned TcxCustomMaskEditProperties::DisplayFormatOptions()
{
  return IsMasked() ? 0 : inherited::DisplayFormatOptions();
}

void TcxCustomMaskEditProperties::MaxLengthChanged()
{
  if (!IsMasked()) {
    Changed();
    return;
  }
  if (FMaxLengthSetting)
    return;
  FMaxLengthSetting = true;
  rtl::Finally reset([this] { FMaxLengthSetting = false; });
  BeginUpdate();
  rtl::Finally end([this] { EndUpdate(); });
  SetMaxLength(0);
}

void TcxCustomMaskEditProperties::AssignFrom(TcxCustomEditProperties* ASource)
{
  inherited::AssignFrom(ASource);
  if (!rtl::Is<TcxCustomMaskEditProperties>(ASource))
    return;
  auto* source = rtl::As<TcxCustomMaskEditProperties>(ASource);
  FMaskKind = source->GetMaskKind();
  FEditMask = source->GetEditMask();
  FCaseInsensitive = source->GetCaseInsensitive();
  FIgnoreMaskBlank = source->GetIgnoreMaskBlank();
  FAlwaysShowBlanksAndLiterals = source->GetAlwaysShowBlanksAndLiterals();
}

void TcxCustomMaskEditProperties::DoChanged()
{
  FTempMode.reset();
  inherited::DoChanged();
}

void TcxCustomMaskEditProperties::DoPrepareDisplayValue(const rtl::Variant& AEditValue, rtl::Variant& ADisplayValue,
                                                        bool AEditFocused)
{
  const bool hasDisplayFormat = GetIDefaultValuesProvider() != nullptr &&
                                GetIDefaultValuesProvider()->IsDisplayFormatDefined(!AEditFocused);
  if (!IsMasked() || (!AEditFocused && hasDisplayFormat)) {
    inherited::DoPrepareDisplayValue(AEditValue, ADisplayValue, AEditFocused);
    return;
  }
  const String text = rtl::VarToStr(AEditValue);
  const String mask = GetEditMask();
  if (FTempMode == nullptr || FTempMode->GetMaskKind() != FMaskKind || FTempMode->EditMask() != mask) {
    FTempMode.reset();
    if (IsBlankMask(mask))
      return;
    FTempMode = CreateMode(FMaskKind, nullptr);
    FTempMode->Compile(mask);
  }
  if (AEditFocused || IsRegExprKind(FMaskKind) || FAlwaysShowBlanksAndLiterals)
    ADisplayValue = rtl::Variant(FTempMode->GetFormattedText(text, false));
  else
    ADisplayValue = rtl::Variant(FTempMode->GetUpdatedText(text, false));
}

bool TcxCustomMaskEditProperties::ValidateDisplayValue(rtl::Variant& ADisplayValue, rtl::String& AErrorText,
                                                       bool& AError, TcxCustomEdit* AEdit)
{
  if (!AError && IsMasked() && rtl::Is<TcxCustomMaskEdit>(AEdit)) {
    TcxMaskEditCustomMode* mode = rtl::As<TcxCustomMaskEdit>(AEdit)->Mode();
    if (mode != nullptr && !mode->IsFullValidText(rtl::VarToStr(ADisplayValue))) {
      AError = true;
      AErrorText = rtl::LoadResString(scxMaskEditInvalidEditValue);
    }
  }
  return inherited::ValidateDisplayValue(ADisplayValue, AErrorText, AError, AEdit);
}

// ---------------------------------------------------------------------------
// TcxCustomMaskEdit

void TcxCustomMaskEdit::Initialize()
{
  inherited::Initialize();
  FMode = GetActiveMaskProperties()->CreateMode(TcxEditMaskKind::emkStandard, this);
  FShiftOn = false;
  GetActiveMaskProperties()->SetEmptyString(FMode->GetEmptyString());
}

void TcxCustomMaskEdit::Destroy()
{
  FMode.reset();
  inherited::Destroy();
}

TcxCustomEditPropertiesClass TcxCustomMaskEdit::GetPropertiesClass()
{
  return TcxCustomEditPropertiesClass::Of<TcxCustomMaskEditProperties>();
}

TcxCustomEditPropertiesClass TcxMaskEdit::GetPropertiesClass()
{
  return TcxCustomEditPropertiesClass::Of<TcxMaskEditProperties>();
}

void TcxCustomMaskEdit::Loaded()
{
  inherited::Loaded();
  if (!IsMasked())
    return;
  LockChangeEvents(true, false);
  rtl::Finally unlock([this] { LockChangeEvents(false, false); });
  RebuildDisplayValue();
}

void TcxCustomMaskEdit::RebuildDisplayValue()
{
  rtl::Variant display;
  EditorPrepareDisplayValue(GetEditValue(), display, InternalFocused());
  SetDisplayValue(display);
}

String TcxCustomMaskEdit::GetEditText()
{
  return GetDisplayText();
}

String TcxCustomMaskEdit::DisplayTextFor(const String& AValue)
{
  TcxCustomMaskEditProperties* properties = GetActiveMaskProperties();
  if (Focused() || IsRegExprKind(properties->GetMaskKind()) || properties->GetAlwaysShowBlanksAndLiterals())
    return FMode->GetFormattedText(AValue, true);
  return FMode->GetUpdatedText(AValue, true);
}

void TcxCustomMaskEdit::SetEditText(const String& AValue)
{
  SetInnerEditValue(rtl::Variant(DisplayTextFor(AValue)));
  FEditValue = rtl::Variant(FUnmaskedText);
}

String TcxCustomMaskEdit::GetMaskedText()
{
  if (IsMasked())
    return FUnmaskedText;
  return GetText();
}

void TcxCustomMaskEdit::SetMaskedText(const String& AValue)
{
  if (!IsMasked() || IsLoading()) {
    SetText(AValue);
    return;
  }
  SetInternalEditValue(rtl::Variant(AValue));
  FEditValue = rtl::Variant(FUnmaskedText);
}

void TcxCustomMaskEdit::SetSelStartInternally(int AValue)
{
  FInternalTextSelection = true;
  rtl::Finally reset([this] { FInternalTextSelection = false; });
  SetSelStart(AValue);
}

void TcxCustomMaskEdit::SetSelLengthInternally(int AValue)
{
  FInternalTextSelection = true;
  rtl::Finally reset([this] { FInternalTextSelection = false; });
  SetSelLength(AValue);
}

void TcxCustomMaskEdit::SendOwnKeyDown(WORD AKey, vcl::TShiftState AShift)
{
  TcxCustomInnerTextEdit* inner = InnerTextEditControl();
  if (inner == nullptr || !inner->HandleAllocated())
    return;
  const bool old = FMyMessage;
  FMyMessage = true;
  rtl::Finally restore([this, old] { FMyMessage = old; });
  // The shift state of a key the editor sends itself is the one it names,
  // not the keyboard's.
  BYTE keys[256];
  GetKeyboardState(keys);
  BYTE sent[256];
  std::copy(std::begin(keys), std::end(keys), std::begin(sent));
  sent[VK_SHIFT] = AShift.Contains(vcl::TShiftStateItem::ssShift) ? 0x80 : 0;
  sent[VK_CONTROL] = AShift.Contains(vcl::TShiftStateItem::ssCtrl) ? 0x80 : 0;
  SetKeyboardState(sent);
  rtl::Finally restoreKeys([&keys] { SetKeyboardState(keys); });
  SendMessageW(inner->GetHandle(), WM_KEYDOWN, AKey, 0);
}

void TcxCustomMaskEdit::SendOwnKeyPress(wchar_t AChar)
{
  TcxCustomInnerTextEdit* inner = InnerTextEditControl();
  if (inner == nullptr || !inner->HandleAllocated())
    return;
  const bool old = FMyMessage;
  FMyMessage = true;
  rtl::Finally restore([this, old] { FMyMessage = old; });
  SendMessageW(inner->GetHandle(), WM_CHAR, AChar, 0);
}

void TcxCustomMaskEdit::KeyDown(WORD& AKey, vcl::TShiftState AShift)
{
  if (!FMyMessage)
    inherited::KeyDown(AKey, AShift);
}

void TcxCustomMaskEdit::KeyPress(wchar_t& AKey)
{
  if (!FMyMessage)
    inherited::KeyPress(AKey);
}

void TcxCustomMaskEdit::KeyUp(WORD& AKey, vcl::TShiftState AShift)
{
  if (!FMyMessage)
    inherited::KeyUp(AKey, AShift);
}

void TcxCustomMaskEdit::ProcessKeyDown(WORD& AKey, vcl::TShiftState AShift)
{
  if (!IsMasked() || IsClearOrClickKey(AKey, AShift)) {
    inherited::ProcessKeyDown(AKey, AShift);
    return;
  }
  if (!AcceptsKeyDown(AKey, AShift)) {
    DoAfterKeyDown(AKey, AShift);
    AKey = 0;
    return;
  }
  if (AKey != VK_TAB) {
    FShiftOn = AShift.Contains(vcl::TShiftStateItem::ssShift);
    const bool ctrl = AShift.Contains(vcl::TShiftStateItem::ssCtrl);
    switch (AKey) {
      case VK_UP:
      case VK_DOWN:
        if (!HasPopupWindow()) {
          DoAfterKeyDown(AKey, AShift);
          AKey = 0;
        }
        break;
      case VK_LEFT:
        if (ctrl) {
          // Home goes to the start first, so the mode's own Home (onto the
          // first mask position) has the last word.
          SendOwnKeyDown(VK_HOME, AShift);
          if (!FMode->PressHome())
            AKey = 0;
        } else {
          const bool atBegin = FMode->IsCursorBegin();
          if (!FMode->PressLeft()) {
            if (atBegin)
              DoAfterKeyDown(AKey, AShift);
            AKey = 0;
          }
        }
        break;
      case VK_RIGHT:
        if (ctrl) {
          SendOwnKeyDown(VK_END, AShift);
          FMode->PressEnd();
          AKey = 0;
        } else {
          const bool atEnd = FMode->IsCursorEnd();
          if (!FMode->PressRight()) {
            if (atEnd)
              DoAfterKeyDown(AKey, AShift);
            AKey = 0;
          }
        }
        break;
      case VK_DELETE:
        if (!AShift.Contains(vcl::TShiftStateItem::ssShift)) {
          if (!FMode->PressDelete())
            AKey = 0;
        } else if (GetSelLength() == 0 && !FMode->PressBackSpace()) {
          AKey = 0;
        }
        break;
      case VK_HOME:
        if (!FMode->PressHome())
          AKey = 0;
        break;
      case VK_END:
        if (!FMode->PressEnd())
          AKey = 0;
        break;
      default:
        break;
    }
  }
  if (AKey != 0)
    inherited::ProcessKeyDown(AKey, AShift);
}

void TcxCustomMaskEdit::ProcessKeyPress(wchar_t& AKey)
{
  if (!IsMasked()) {
    inherited::ProcessKeyPress(AKey);
    return;
  }
  if (AKey == L'\t' || AKey == L'\x1B') {
    AKey = 0;
    return;
  }
  if (!HandleCharacter(AKey)) {
    AKey = 0;
    return;
  }
  switch (AKey) {
    case 0:
    case L'\r':
      return;
    case 1:
    case 3:
    case 22:
    case 24:
      inherited::ProcessKeyPress(AKey);
      return;
    case L'\b':
      if (!FMode->PressBackSpace())
        AKey = 0;
      return;
    default:
      if (!FMode->PressSymbol(AKey))
        AKey = 0;
  }
}

void TcxCustomMaskEdit::DoEnter()
{
  if (IsMasked() && GetActiveMaskProperties()->GetAutoSelect())
    FMode->GotoEnd();
  inherited::DoEnter();
}

void TcxCustomMaskEdit::DblClick()
{
  if (IsMasked()) {
    FMode->GotoEnd();
    FMode->LMouseDown();
  }
  inherited::DblClick();
}

void TcxCustomMaskEdit::MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  inherited::MouseDown(AButton, AShift, X, Y);
  if (IsMasked() && AButton == vcl::TMouseButton::mbLeft)
    FMode->LMouseDown();
}

void TcxCustomMaskEdit::MouseMove(vcl::TShiftState AShift, int X, int Y)
{
  inherited::MouseMove(AShift, X, Y);
  if (IsMasked() && AShift.Contains(vcl::TShiftStateItem::ssLeft)) {
    FShiftOn = true;
    FMode->LMouseDown();
    FShiftOn = false;
  }
}

// While an in-place editor is activated by a key the mask reformats the
// inner window's text more than once; it is drawn once, at the end.
void TcxCustomMaskEdit::HookInnerEditWndProc()
{
  inherited::HookInnerEditWndProc();
  TcxCustomInnerTextEdit* inner = InnerTextEditControl();
  if (FRedrawLocked || !IsMasked() || inner == nullptr || !inner->HandleAllocated())
    return;
  SendMessageW(inner->GetHandle(), WM_SETREDRAW, FALSE, 0);
  FRedrawLocked = true;
}

void TcxCustomMaskEdit::UnhookInnerEditWndProc()
{
  inherited::UnhookInnerEditWndProc();
  if (!FRedrawLocked)
    return;
  FRedrawLocked = false;
  TcxCustomInnerTextEdit* inner = InnerTextEditControl();
  if (inner == nullptr || !inner->HandleAllocated())
    return;
  SendMessageW(inner->GetHandle(), WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(inner->GetHandle(), nullptr, TRUE);
}

void TcxCustomMaskEdit::InnerEditSelectionChanged(rtl::TObject* Sender)
{
  inherited::InnerEditSelectionChanged(Sender);
  if (!FInternalTextSelection && IsMasked() && FMode != nullptr)
    FMode->LMouseDown();
}

void TcxCustomMaskEdit::InnerEditChanged(rtl::TObject* Sender)
{
  if (FMode != nullptr)
    FUnmaskedText = FMode->GetUpdatedText(GetEditText(), true);
  inherited::InnerEditChanged(Sender);
}

void TcxCustomMaskEdit::InnerEditUndone()
{
  SynchronizeModeText();
}

void TcxCustomMaskEdit::SynchronizeModeText()
{
  if (FMode != nullptr && IsMasked() && CanSynchronizeModeText())
    FMode->SetText(GetEditText());
}

void TcxCustomMaskEdit::SetDisplayValue(const rtl::Variant& AValue)
{
  if (!IsMasked() || IsLoading() || FMode == nullptr) {
    inherited::SetDisplayValue(AValue);
    return;
  }
  inherited::SetDisplayValue(rtl::Variant(DisplayTextFor(rtl::VarToStr(AValue))));
  SynchronizeModeText();
}

void TcxCustomMaskEdit::RefreshDisplayValue()
{
  inherited::RefreshDisplayValue();
  SynchronizeModeText();
}

void TcxCustomMaskEdit::PrepareEditValue(const rtl::Variant& ADisplayValue, rtl::Variant& EditValue,
                                         bool AEditFocused)
{
  if (!IsMasked() || FMode == nullptr) {
    inherited::PrepareEditValue(ADisplayValue, EditValue, AEditFocused);
    return;
  }
  TcxCustomMaskEditProperties* properties = GetActiveMaskProperties();
  const String display = rtl::VarToStr(ADisplayValue);
  if (AEditFocused || IsRegExprKind(properties->GetMaskKind()))
    EditValue = rtl::Variant(FMode->GetUpdatedText(display, true));
  else if (properties->GetAlwaysShowBlanksAndLiterals() &&
           !static_cast<TcxMaskEditStandardMode&>(*FMode).Mask().SaveLiteralCharacters())
    EditValue = rtl::Variant(FMode->GetUpdatedText(display, true));
  else
    inherited::PrepareEditValue(ADisplayValue, EditValue, AEditFocused);
}

void TcxCustomMaskEdit::PropertiesChanged(rtl::TObject* Sender)
{
  TcxCustomMaskEditProperties* properties = GetActiveMaskProperties();
  if (FMode == nullptr) {
    inherited::PropertiesChanged(Sender);
    return;
  }
  const String mask = properties->GetEditMask();
  const bool maskChanged = FMode->EditMask() != mask || properties->IsFormatChanging();
  const bool kindChanged = FMode->GetMaskKind() != properties->GetMaskKind();
  const bool caseChanged = properties->GetCharCase() != FMode->CharCase();
  const bool echoChanged = properties->GetEchoMode() != FMode->EchoMode();
  int selStart = 0;
  int selLength = 0;
  {
    properties->LockUpdate(true);
    rtl::Finally unlock([properties] { properties->LockUpdate(false); });
    if (kindChanged) {
      const bool syntaxChanged =
          IsRegExprKind(FMode->GetMaskKind()) != IsRegExprKind(properties->GetMaskKind());
      FMode.reset();
      // The two syntaxes do not mix: a standard mask is no expression. A
      // mask that came with the new kind (an assignment of both) is kept.
      if (syntaxChanged && !maskChanged)
        properties->ClearStoredEditMask();
      FMode = properties->CreateMode(properties->GetMaskKind(), this);
      FMode->Compile(properties->GetEditMask());
      if (properties->IsMasked())
        FMode->SynchronizeEditValue();
      properties->SetEmptyString(FMode->GetEmptyString());
    }
    if (maskChanged && !kindChanged) {
      FMode->Compile(mask);
      if (properties->IsMasked())
        FMode->SynchronizeEditValue();
      else if (FMode->GetMaskKind() == TcxEditMaskKind::emkStandard && HandleAllocated() && GetSelLength() == 1)
        SetSelLengthInternally(0);
      properties->SetEmptyString(FMode->GetEmptyString());
    }
    if (caseChanged) {
      if (properties->GetCharCase() == vcl::TEditCharCase::ecNormal) {
        if (IcxInnerTextEdit* inner = GetInnerTextEdit())
          inner->SetCharCase(vcl::TEditCharCase::ecNormal);
        FMode->SynchronizeEditValue();
      }
      FMode->SetCharCase(properties->GetCharCase());
    }
    if (echoChanged && HandleAllocated()) {
      selStart = GetSelStart();
      selLength = GetSelLength();
    }
    if (properties->IsMasked() && !(GetInnerEdit() != nullptr && rtl::VarIsNull(GetEditValue())))
      FMode->UpdateEditValue();
    if (IsRegExprKind(FMode->GetMaskKind()))
      static_cast<TcxMaskEditRegExprMode&>(*FMode).SetRegExprCaseInsensitive();
  }
  inherited::PropertiesChanged(Sender);
  if (echoChanged) {
    if (HandleAllocated()) {
      SetSelStartInternally(selStart);
      SetSelLengthInternally(selLength);
    }
    FMode->SetEchoMode(properties->GetEchoMode());
  }
  if (maskChanged || kindChanged || caseChanged)
    FUnmaskedText = FMode->GetUpdatedText(GetEditText(), true);
}

bool TcxCustomMaskEdit::CanSpellCheck()
{
  return GetActiveMaskProperties()->GetEditMask().empty() && inherited::CanSpellCheck();
}

bool TcxCustomMaskEdit::CheckSelTextReplacement(const rtl::String& ANewSelText, rtl::String& AText, int& ASelStart)
{
  if (IsMasked() && FMode->CheckSelTextReplacement(ANewSelText, AText, ASelStart))
    return true;
  return inherited::CheckSelTextReplacement(ANewSelText, AText, ASelStart);
}

void TcxCustomMaskEdit::CutToClipboard()
{
  if (!IsMasked()) {
    inherited::CutToClipboard();
    return;
  }
  if (Focused() && !DoEditing())
    return;
  CopyToClipboard();
  if (FMode->PressDelete())
    SendOwnKeyPress(L'\b');
}

void TcxCustomMaskEdit::PasteFromClipboard()
{
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT))
    return;
  if (!IsMasked()) {
    inherited::PasteFromClipboard();
    return;
  }
  const String text = vcl::Clipboard()->GetAsText();
  FMode->SetClipboardTextLength(static_cast<int>(text.size()));
  FMode->PressDelete();
  FMode->PrePasteFromClipboard();
  inherited::SetSelText(text);
  FMode->AfterPasteFromClipboard();
}

void TcxCustomMaskEdit::SetSelText(const rtl::String& AValue)
{
  if (!IsMasked() || FMode == nullptr) {
    inherited::SetSelText(AValue);
    return;
  }
  FMode->SetClipboardTextLength(static_cast<int>(AValue.size()));
  FMode->PrePasteFromClipboard();
  inherited::SetSelText(AValue);
  FMode->AfterPasteFromClipboard();
}
