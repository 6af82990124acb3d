// The memo, its properties and its inner memo.
#include <algorithm>

#include "core/dxCore.h"
#include "editors/cxEditConsts.h"
#include "editors/cxFilterControlUtils.h"
#include "editors/cxMemo.h"
#include "graphics/cxGraphics.h"

namespace {

void cxMemoInitialization()
{
  cxEditPropertiesRegistry()->Register(TcxMemoProperties::StaticClass(),
                                       dxLookupResourceString(scxSEditRepositoryMemoItem));
  cxFilterEditsControllerInstance()->Register(TcxCustomMemoProperties::StaticClass(), TcxFilterMemoHelper::Class());
}

void cxMemoFinalization()
{
  cxFilterEditsControllerUnregister(TcxCustomMemoProperties::StaticClass(), TcxFilterMemoHelper::Class());
}

}  // namespace

RTL_UNIT(cxMemo, &cxMemoInitialization, &cxMemoFinalization);

// ---------------------------------------------------------------------------
// Routines

void cxAdjustMemoLineBreaks(rtl::String& S)
{
  if (S.find(L'\n') == rtl::String::npos)
    return;
  rtl::String result;
  result.reserve(S.size() + 8);
  std::size_t i = 0;
  while (i < S.size()) {
    const bool pairFollows = i + 1 < S.size();
    if (pairFollows && S[i] == L'\n' && S[i + 1] == L'\r') {
      result += L"\r\n\r\n";
      i += 2;
    } else if (pairFollows && S[i] == L'\r' && S[i + 1] == L'\n') {
      result += L"\r\n";
      i += 2;
    } else {
      result += S[i];
      ++i;
    }
  }
  S = std::move(result);
}

void cxTruncateToFirstLine(rtl::String& S, int AMaxLength)
{
  std::size_t limit = S.size();
  if (AMaxLength > 0)
    limit = std::min(limit, static_cast<std::size_t>(AMaxLength));
  const std::size_t lineBreak = S.find_first_of(L"\r\n");
  S.resize(std::min(limit, lineBreak));
}

// ---------------------------------------------------------------------------
// TcxCustomMemoProperties

void TcxCustomMemoProperties::Create(rtl::TPersistent* AOwner)
{
  inherited::Create(AOwner);
  GetAlignment()->SetVert(TcxEditVertAlignment::taTopJustify);
  SetAutoSelect(false);
  FScrollBars = vcl::TScrollStyle::ssNone;
  FWantReturns = true;
  FWordWrap = true;
}

void TcxCustomMemoProperties::AssignFrom(TcxCustomEditProperties* ASource)
{
  inherited::AssignFrom(ASource);
  if (!rtl::Is<TcxCustomMemoProperties>(ASource))
    return;
  auto* source = static_cast<TcxCustomMemoProperties*>(ASource);
  SetScrollBars(source->FScrollBars);
  SetVisibleLineCount(source->FVisibleLineCount);
  SetWantReturns(source->FWantReturns);
  SetWantTabs(source->FWantTabs);
  SetWordWrap(source->FWordWrap);
}

TcxEditSpecialFeatures TcxCustomMemoProperties::GetSpecialFeatures()
{
  TcxEditSpecialFeatures result = inherited::GetSpecialFeatures();
  result.Include(TcxEditSpecialFeature::esfMultiRow);
  return result;
}

TcxEditSupportedOperations TcxCustomMemoProperties::GetSupportedOperations()
{
  TcxEditSupportedOperations result = inherited::GetSupportedOperations();
  result.Include(TcxEditSupportedOperation::esoEditingAutoHeight);
  return result;
}

TcxDataEditValueSource TcxCustomMemoProperties::GetEditValueSource(bool /*AEditFocused*/)
{
  IcxEditDefaultValuesProvider* provider = GetIDefaultValuesProvider();
  return provider && provider->IsBlob() ? TcxDataEditValueSource::evsValue : TcxDataEditValueSource::evsText;
}

rtl::String TcxCustomMemoProperties::GetDisplayText(const rtl::Variant& AEditValue, bool AFullText, bool /*AIsInplace*/)
{
  rtl::String text = inherited::GetDisplayText(AEditValue, false, true);
  if (!AFullText)
    cxTruncateToFirstLine(text, 250);
  return text;
}

TcxCustomEditClass TcxCustomMemoProperties::GetContainerClass()
{
  return TcxCustomEditClass::Of<TcxMemo>();
}

void TcxCustomMemoProperties::SetScrollBars(vcl::TScrollStyle AValue)
{
  if (FScrollBars == AValue)
    return;
  FScrollBars = AValue;
  Changed();
}

void TcxCustomMemoProperties::SetVisibleLineCount(int AValue)
{
  AValue = std::max(AValue, 0);
  if (FVisibleLineCount == AValue)
    return;
  FVisibleLineCount = AValue;
  Changed();
}

void TcxCustomMemoProperties::SetWantReturns(bool AValue)
{
  if (FWantReturns == AValue)
    return;
  FWantReturns = AValue;
  Changed();
}

void TcxCustomMemoProperties::SetWantTabs(bool AValue)
{
  if (FWantTabs == AValue)
    return;
  FWantTabs = AValue;
  Changed();
}

void TcxCustomMemoProperties::SetWordWrap(bool AValue)
{
  if (FWordWrap == AValue)
    return;
  FWordWrap = AValue;
  Changed();
}

// ---------------------------------------------------------------------------
// TcxMemoLines

namespace {

int cxCountLineBreaks(const rtl::String& S)
{
  int count = 0;
  for (std::size_t i = S.find(L"\r\n"); i != rtl::String::npos; i = S.find(L"\r\n", i + 2))
    ++count;
  return count;
}

bool cxEndsWithLineBreak(const rtl::String& S)
{
  return S.size() >= 2 && S.compare(S.size() - 2, 2, L"\r\n") == 0;
}

}  // namespace

void TcxMemoLines::Create(TcxCustomInnerMemo* AMemo)
{
  FMemo = AMemo;
}

rtl::TStrings* TcxMemoLines::WindowLines() const
{
  return FMemo->vcl::TCustomMemo::GetLines();
}

// Where the text ends at a line start the entry and CR LF follow; else CR
// LF and the entry (two line breaks for an empty one), as an insertion at
// the end would do.
int TcxMemoLines::Add(const rtl::String& S)
{
  if (!FMemo->HandleAllocated() || FFlushing)
    return WindowLines()->Add(S);
  if (FPending.empty()) {
    FCount = WindowLines()->GetCount();
    const auto windowLines = static_cast<int>(SendMessageW(FMemo->GetHandle(), EM_GETLINECOUNT, 0, 0));
    FEndsAtLineStart = FCount < windowLines;
    PostMessageW(FMemo->GetHandle(), DXM_MEMOFLUSHLINES, 0, 0);
  }
  rtl::String entry;
  if (FEndsAtLineStart)
    entry = S + L"\r\n";
  else
    entry = S.empty() ? rtl::String(L"\r\n\r\n") : L"\r\n" + S;
  cxAdjustMemoLineBreaks(entry);
  const int index = FCount;
  const bool endsAfter = cxEndsWithLineBreak(entry);
  FCount += cxCountLineBreaks(entry) - (FEndsAtLineStart ? 0 : 1) + (endsAfter ? 0 : 1);
  FEndsAtLineStart = endsAfter;
  FPending += entry;
  return index;
}

void TcxMemoLines::Flush()
{
  if (FPending.empty() || FFlushing || !FMemo->HandleAllocated())
    return;
  const rtl::String pending = std::move(FPending);
  FPending.clear();
  FFlushing = true;
  FMemo->FAppendingPending = true;
  try {
    const HWND wnd = FMemo->GetHandle();
    const auto length = SendMessageW(wnd, WM_GETTEXTLENGTH, 0, 0);
    SendMessageW(wnd, EM_SETSEL, length, length);
    SendMessageW(wnd, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(pending.c_str()));
  } catch (...) {
    FFlushing = false;
    FMemo->FAppendingPending = false;
    throw;
  }
  FFlushing = false;
  FMemo->FAppendingPending = false;
}

int TcxMemoLines::GetCount() const
{
  const_cast<TcxMemoLines*>(this)->Flush();
  return WindowLines()->GetCount();
}

void TcxMemoLines::Clear()
{
  FPending.clear();
  WindowLines()->Clear();
}

void TcxMemoLines::Delete(int AIndex)
{
  Flush();
  WindowLines()->Delete(AIndex);
}

void TcxMemoLines::Insert(int AIndex, const rtl::String& S)
{
  Flush();
  WindowLines()->Insert(AIndex, S);
}

rtl::String TcxMemoLines::Get(int AIndex)
{
  Flush();
  return WindowLines()->GetStrings(AIndex);
}

void TcxMemoLines::Put(int AIndex, const rtl::String& S)
{
  Flush();
  WindowLines()->SetStrings(AIndex, S);
}

rtl::String TcxMemoLines::GetTextStr()
{
  Flush();
  return WindowLines()->GetText();
}

void TcxMemoLines::SetTextStr(const rtl::String& AText)
{
  Flush();
  WindowLines()->SetText(AText);
}

void TcxMemoLines::SetUpdateState(bool AUpdating)
{
  if (AUpdating)
    WindowLines()->BeginUpdate();
  else
    WindowLines()->EndUpdate();
}

// ---------------------------------------------------------------------------
// TcxCustomInnerMemoHelper

void TcxCustomInnerMemoHelper::CreateForMemo(TcxCustomInnerMemo* AMemo)
{
  TcxInterfacedPersistent::Create(AMemo);
  FMemo = AMemo;
  FControl = AMemo;
  FEdit = nullptr;
  FImeMode = TImeMode::imDontCare;
}

TcxContainer* __stdcall TcxCustomInnerMemoHelper::GetControlContainer()
{
  return FMemo->GetContainer();
}

rtl::Variant __stdcall TcxCustomInnerMemoHelper::GetEditValue()
{
  return rtl::Variant(FMemo->GetMemoLines()->GetText());
}

void __stdcall TcxCustomInnerMemoHelper::LockBounds(bool ALock)
{
  FMemo->LockBounds(ALock);
}

// Setting the lines is the memo's own change: it is not reported later as
// the user's.
void __stdcall TcxCustomInnerMemoHelper::SetEditValue(const rtl::Variant& AValue)
{
  if (!FMemo->HandleAllocated()) {
    FMemo->vcl::TControl::SetText(rtl::VarToStr(AValue));
    return;
  }
  TcxCustomMemo* editor = FMemo->GetContainer();
  ++FMemo->FInternalTextSettingCount;
  if (editor)
    editor->LockChangeEvents(true);
  try {
    FMemo->GetMemoLines()->SetText(rtl::VarToStr(AValue));
  } catch (...) {
    --FMemo->FInternalTextSettingCount;
    if (editor)
      editor->LockChangeEvents(false, false);
    throw;
  }
  --FMemo->FInternalTextSettingCount;
  if (editor)
    editor->LockChangeEvents(false, false);
}

rtl::TAlignment __stdcall TcxCustomInnerMemoHelper::GetAlignment()
{
  return FMemo->GetAlignment();
}

bool __stdcall TcxCustomInnerMemoHelper::GetInternalUpdating()
{
  return FMemo->GetInternalUpdating();
}

rtl::TNotifyEvent __stdcall TcxCustomInnerMemoHelper::GetOnSelChange()
{
  return FMemo->GetOnSelChange();
}

void __stdcall TcxCustomInnerMemoHelper::SetAlignment(rtl::TAlignment AValue)
{
  FMemo->SetAlignment(AValue);
}

void __stdcall TcxCustomInnerMemoHelper::SetInternalUpdating(bool AValue)
{
  FMemo->SetInternalUpdating(AValue);
}

void __stdcall TcxCustomInnerMemoHelper::SetOnSelChange(rtl::TNotifyEvent AValue)
{
  FMemo->SetOnSelChange(AValue);
}

TPoint __stdcall TcxCustomInnerMemoHelper::GetCaretPos()
{
  return FMemo->GetCaretPos();
}

rtl::TStrings* __stdcall TcxCustomInnerMemoHelper::GetLines()
{
  return FMemo->GetMemoLines();
}

vcl::TScrollStyle __stdcall TcxCustomInnerMemoHelper::GetScrollBars()
{
  return FMemo->GetScrollBars();
}

bool __stdcall TcxCustomInnerMemoHelper::GetWantReturns()
{
  return FMemo->GetWantReturns();
}

bool __stdcall TcxCustomInnerMemoHelper::GetWantTabs()
{
  return FMemo->GetWantTabs();
}

bool __stdcall TcxCustomInnerMemoHelper::GetWordWrap()
{
  return FMemo->GetWordWrap();
}

void __stdcall TcxCustomInnerMemoHelper::SetCaretPos(const TPoint& AValue)
{
  if (!FMemo->HandleAllocated())
    return;
  const HWND wnd = FMemo->GetHandle();
  const auto position = SendMessageW(wnd, EM_LINEINDEX, AValue.y, 0) + AValue.x;
  SendMessageW(wnd, EM_SETSEL, position, position);
}

void __stdcall TcxCustomInnerMemoHelper::SetScrollBars(vcl::TScrollStyle AValue)
{
  FMemo->SetScrollBars(AValue);
}

void __stdcall TcxCustomInnerMemoHelper::SetWantReturns(bool AValue)
{
  FMemo->SetWantReturns(AValue);
}

void __stdcall TcxCustomInnerMemoHelper::SetWantTabs(bool AValue)
{
  FMemo->SetWantTabs(AValue);
}

void __stdcall TcxCustomInnerMemoHelper::SetWordWrap(bool AValue)
{
  FMemo->SetWordWrap(AValue);
}

// ---------------------------------------------------------------------------
// TcxCustomInnerMemo

void TcxCustomInnerMemo::Create(rtl::TComponent* AOwner)
{
  FIsCreating = true;
  inherited::Create(AOwner);
  SetParentColor(true);
  SetParentFont(true);
  FHelper = rtl::NewWith<TcxCustomInnerMemoHelper>([this](TcxCustomInnerMemoHelper* H) { H->CreateForMemo(this); });
  FMemoLines = rtl::New<TcxMemoLines>(this);
  FIsCreating = false;
}

void TcxCustomInnerMemo::Destroy()
{
  rtl::FreeAndNil(FMemoLines);
  rtl::FreeAndNil(FHelper);
  inherited::Destroy();
}

TcxCustomMemo* TcxCustomInnerMemo::GetContainer() const
{
  rtl::TComponent* owner = const_cast<TcxCustomInnerMemo*>(this)->GetOwner();
  return rtl::Is<TcxCustomMemo>(owner) ? static_cast<TcxCustomMemo*>(owner) : nullptr;
}

TcxContainer* __stdcall TcxCustomInnerMemo::GetControlContainer()
{
  return GetContainer();
}

void TcxCustomInnerMemo::LockBounds(bool ALock)
{
  if (ALock)
    ++FLockBoundsCount;
  else if (FLockBoundsCount > 0)
    --FLockBoundsCount;
}

void TcxCustomInnerMemo::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
  if (FIsCreating || FLockBoundsCount > 0)
    return;
  TcxCustomMemo* editor = GetContainer();
  if (editor)
    editor->LockAlignControls(true);
  try {
    inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
  } catch (...) {
    if (editor)
      editor->LockAlignControls(false);
    throw;
  }
  if (editor)
    editor->LockAlignControls(false);
}

void TcxCustomInnerMemo::WndProc(rtl::TMessage& AMessage)
{
  // Whatever the window is asked, it answers with the appended lines in it.
  if (FMemoLines && FMemoLines->HasPending() && AMessage.Msg != WM_DESTROY && AMessage.Msg != WM_NCDESTROY &&
      !GetComponentState().Contains(rtl::TComponentStateFlag::csDestroying))
    FMemoLines->Flush();
  if (AMessage.Msg == DXM_MEMOFLUSHLINES)
    return;
  TcxCustomMemo* editor = GetContainer();
  if (editor && editor->InnerControlMenuHandler(AMessage))
    return;
  MirrorScrollBars(AMessage, true);
  rtl::TFreeWatch watch(this);
  inherited::WndProc(AMessage);
  if (!watch.Freed())
    MirrorScrollBars(AMessage, false);
}

void TcxCustomInnerMemo::DefaultHandler(rtl::TMessage& AMessage)
{
  TcxCustomMemo* editor = GetContainer();
  if (!editor || !editor->InnerControlDefaultHandler(AMessage))
    inherited::DefaultHandler(AMessage);
}

void TcxCustomInnerMemo::KeyDown(WORD& AKey, vcl::TShiftState AShift)
{
  FInternalUpdating = false;
  if (TcxCustomMemo* editor = GetContainer())
    editor->InnerKeyDown(AKey, AShift);
  if (AKey == 0)
    FInternalUpdating = true;
  else
    inherited::KeyDown(AKey, AShift);
}

void TcxCustomInnerMemo::KeyPress(wchar_t& AKey)
{
  FInternalUpdating = false;
  if (TcxCustomMemo* editor = GetContainer(); editor && AKey != 0)
    editor->InnerKeyPress(AKey);
  if (AKey == 0)
    FInternalUpdating = true;
  else
    inherited::KeyPress(AKey);
}

void TcxCustomInnerMemo::KeyUp(WORD& AKey, vcl::TShiftState AShift)
{
  FInternalUpdating = false;
  if (AKey == VK_TAB && !GetWantTabs())
    AKey = 0;
  if (TcxCustomMemo* editor = GetContainer(); editor && AKey != 0)
    editor->InnerKeyUp(AKey, AShift);
  if (AKey == 0)
    FInternalUpdating = true;
  else
    inherited::KeyUp(AKey, AShift);
}

void TcxCustomInnerMemo::HandleWMSetFocus(rtl::TMessage& AMessage)
{
  rtl::TFreeWatch watch(this);
  rtl::InheritedMessage(this, AMessage);
  if (watch.Freed() || GetComponentState().Contains(rtl::TComponentStateFlag::csDestroying))
    return;
  TcxCustomMemo* editor = GetContainer();
  if (editor && reinterpret_cast<HWND>(AMessage.WParam) != (editor->HandleAllocated() ? editor->GetHandle() : nullptr))
    editor->InnerFocusChanged();
}

void TcxCustomInnerMemo::HandleWMKillFocus(rtl::TMessage& AMessage)
{
  rtl::TFreeWatch watch(this);
  rtl::InheritedMessage(this, AMessage);
  if (watch.Freed() || GetComponentState().Contains(rtl::TComponentStateFlag::csDestroying))
    return;
  if (TcxCustomMemo* editor = GetContainer())
    editor->InnerFocusChanged();
}

// A text set on the window from elsewhere becomes the editor's value.
void TcxCustomInnerMemo::HandleWMSetText(rtl::TMessage& AMessage)
{
  rtl::InheritedMessage(this, AMessage);
  TcxCustomMemo* editor = GetContainer();
  if (!editor || FInternalTextSettingCount > 0)
    return;
  ++FInternalTextSettingCount;
  try {
    editor->SetInternalEditValue(rtl::Variant(vcl::TControl::GetText()));
  } catch (...) {
    --FInternalTextSettingCount;
    throw;
  }
  --FInternalTextSettingCount;
}

// Every replacement (the lines' Add, Insert, Delete, the selected text) has
// its LF CR pairs made line breaks, and EditValue follows the text.
void TcxCustomInnerMemo::HandleEMReplaceSel(rtl::TMessage& AMessage)
{
  TcxCustomMemo* editor = GetContainer();
  if (editor && editor->Focused() && !editor->DoEditing() && !GetReadOnly())
    return;
  const auto* text = reinterpret_cast<const wchar_t*>(AMessage.LParam);
  rtl::String adjusted = text ? text : L"";
  if (!FAppendingPending)
    cxAdjustMemoLineBreaks(adjusted);
  const LPARAM original = AMessage.LParam;
  AMessage.LParam = reinterpret_cast<LPARAM>(adjusted.c_str());
  try {
    rtl::InheritedMessage(this, AMessage);
  } catch (...) {
    AMessage.LParam = original;
    throw;
  }
  AMessage.LParam = original;
  if (editor && FInternalTextSettingCount == 0)
    editor->SynchronizeEditValue();
}

void TcxCustomInnerMemo::HandleEMSetSel(rtl::TMessage& AMessage)
{
  rtl::InheritedMessage(this, AMessage);
  if (FOnSelChange)
    FOnSelChange(this);
}

void TcxCustomInnerMemo::HandleWMSetFont(rtl::TMessage& AMessage)
{
  rtl::InheritedMessage(this, AMessage);
  if (HandleAllocated())
    SendMessageW(GetHandle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
}

// ---------------------------------------------------------------------------
// TcxCustomMemo

void TcxCustomMemo::Initialize()
{
  inherited::Initialize();
  SetWidth(185);
  SetHeight(89);
}

TcxCustomEditPropertiesClass TcxCustomMemo::GetPropertiesClass()
{
  return TcxCustomEditPropertiesClass::Of<TcxCustomMemoProperties>();
}

rtl::ClassOf<vcl::TWinControl> TcxCustomMemo::GetInnerEditClass()
{
  return rtl::ClassOf<vcl::TWinControl>::Of<TcxCustomInnerMemo>();
}

IcxInnerMemo* TcxCustomMemo::GetInnerMemo()
{
  vcl::TWinControl* control = GetInnerControl();
  if (!rtl::Is<TcxCustomInnerMemo>(control))
    return nullptr;
  return static_cast<TcxCustomInnerMemoHelper*>(static_cast<TcxCustomInnerMemo*>(control)->GetHelper());
}

rtl::TStrings* TcxCustomMemo::GetLines()
{
  return GetInnerMemo()->GetLines();
}

rtl::Variant TcxCustomMemo::DoGetEditValue()
{
  if (auto* inner = rtl::Is<TcxCustomInnerMemo>(GetInnerControl()) ? static_cast<TcxCustomInnerMemo*>(GetInnerControl())
                                                                   : nullptr)
    inner->GetMemoLines()->Flush();
  return inherited::DoGetEditValue();
}

TPoint TcxCustomMemo::GetCaretPos()
{
  IcxInnerMemo* inner = GetInnerMemo();
  return inner ? inner->GetCaretPos() : TPoint{};
}

void TcxCustomMemo::SetCaretPos(const TPoint& AValue)
{
  if (IcxInnerMemo* inner = GetInnerMemo())
    inner->SetCaretPos(AValue);
}

void TcxCustomMemo::CompleteTextChange()
{
  if (IsUserAction())
    return;
  ResetFindSelection();
  SynchronizeEditValue();
  SetEditModified(false);
}

void TcxCustomMemo::PropertiesChanged(rtl::TObject* Sender)
{
  if (IsInnerEditMissing())
    return;
  if (IcxInnerMemo* inner = GetInnerMemo()) {
    TcxCustomMemoProperties* properties = GetActiveMemoProperties();
    if (inner->GetScrollBars() != properties->GetScrollBars())
      inner->SetScrollBars(properties->GetScrollBars());
    inner->SetWantReturns(properties->GetWantReturns());
    inner->SetWantTabs(properties->GetWantTabs());
    inner->SetWordWrap(properties->GetWordWrap());
  }
  inherited::PropertiesChanged(Sender);
}

// The inner window covers the client area, its frame hidden under the
// editor's border.
void TcxCustomMemo::AdjustInnerEditPosition()
{
  vcl::TWinControl* inner = GetInnerControl();
  if (!inner || IsInnerEditMissing() || FInnerEditPositionAdjusting)
    return;
  FInnerEditPositionAdjusting = true;
  try {
    TRect client = GetClientBounds();
    if (TcxContainerViewInfo* viewInfo = TcxContainer::GetViewInfo(); viewInfo && viewInfo->IsCalculated())
      client = viewInfo->ClientRect;
    if (const TRect current = inner->GetBoundsRect(); !EqualRect(&current, &client))
      inner->SetBoundsRect(client);
  } catch (...) {
    FInnerEditPositionAdjusting = false;
    throw;
  }
  FInnerEditPositionAdjusting = false;
}

// Ctrl+A selects everything and goes no further.
void TcxCustomMemo::ProcessKeyDown(WORD& AKey, vcl::TShiftState AShift)
{
  inherited::ProcessKeyDown(AKey, AShift);
  const bool ctrlOnly = AShift.Contains(vcl::TShiftStateItem::ssCtrl) && !AShift.Contains(vcl::TShiftStateItem::ssShift) &&
                        !AShift.Contains(vcl::TShiftStateItem::ssAlt);
  if (AKey == 'A' && ctrlOnly && GetLines()->GetCount() > 0) {
    SelectAll();
    DoAfterKeyDown(AKey, AShift);
    AKey = 0;
  }
}

bool TcxCustomMemo::IsValueChangingChar(wchar_t AChar)
{
  if (inherited::IsValueChangingChar(AChar) || AChar == L'\n')
    return true;
  TcxCustomMemoProperties* properties = GetActiveMemoProperties();
  return (AChar == L'\r' && properties->GetWantReturns()) || (AChar == L'\t' && properties->GetWantTabs());
}

bool TcxCustomMemo::WantsTabKey()
{
  return inherited::WantsTabKey() || GetActiveMemoProperties()->GetWantTabs();
}

// A memo read from a form takes its value from the stored lines.
void TcxCustomMemo::ReadState(rtl::TReader* AReader)
{
  inherited::ReadState(AReader);
  if (GetLines()->GetCount() > 0)
    PrepareEditValue(rtl::Variant(GetDisplayText()), FEditValue, InternalFocused());
}

// ---------------------------------------------------------------------------
// TcxMemo

TcxCustomEditPropertiesClass TcxMemo::GetPropertiesClass()
{
  return TcxCustomEditPropertiesClass::Of<TcxMemoProperties>();
}

// ---------------------------------------------------------------------------
// Scroll bars: the memo's own bars mirror the inner window's native ones

bool TcxCustomMemo::CanScrollContentWithoutScrollBars(TcxDirection ADirection)
{
  return ADirection == TcxDirection::dirUp || ADirection == TcxDirection::dirDown;
}

// Only a standalone memo with a fixed number of visible lines sizes itself.
bool TcxCustomMemo::CanAutoSize()
{
  return !IsInplace() && GetActiveMemoProperties()->GetVisibleLineCount() >= 1;
}

void TcxCustomMemo::Scroll(TScrollBarKind AScrollBarKind, TScrollCode AScrollCode, int& AScrollPos)
{
  vcl::TWinControl* inner = GetInnerControl();
  if (!inner || !inner->HandleAllocated())
    return;
  const HWND wnd = inner->GetHandle();
  const bool vertical = AScrollBarKind == TScrollBarKind::sbVertical;
  const int bar = vertical ? SB_VERT : SB_HORZ;
  SetScrollPos(wnd, bar, AScrollPos, FALSE);
  // The line steps of the vertical bar carry no position.
  const bool lineStep = vertical && (AScrollCode == TScrollCode::scLineUp || AScrollCode == TScrollCode::scLineDown);
  const int position = lineStep ? 0 : AScrollPos;
  IcxControlScrollBar* ownBar = GetMainScrollBar(AScrollBarKind);
  vcl::TWinControl* ownBarControl = ownBar ? ownBar->GetControl() : nullptr;
  const LPARAM barWindow =
      ownBarControl && ownBarControl->HandleAllocated() ? reinterpret_cast<LPARAM>(ownBarControl->GetHandle()) : 0;
  GetInnerTextEdit()->CallDefWndProc(
      vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(static_cast<WORD>(AScrollCode), static_cast<WORD>(position)),
      barWindow);
  if (AScrollCode != TScrollCode::scTrack)
    AScrollPos = GetScrollPos(wnd, bar);
  if (AScrollCode != TScrollCode::scTrack)
    SetScrollBarsParameters(false);
}

void TcxCustomMemo::WndProc(rtl::TMessage& AMessage)
{
  inherited::WndProc(AMessage);
  switch (AMessage.Msg) {
    case WM_WINDOWPOSCHANGED:
    case WM_NCCALCSIZE:
    case rtl::CM_WININICHANGE:
      UpdateScrollBarsParameters();
      break;
    case WM_COMMAND:
      if (GetInnerControl() && GetInnerControl()->HandleAllocated() &&
          reinterpret_cast<HWND>(AMessage.LParam) == GetInnerControl()->GetHandle() &&
          (HIWORD(AMessage.WParam) == EN_HSCROLL || HIWORD(AMessage.WParam) == EN_VSCROLL))
        SetScrollBarsParameters(false);
      break;
    case WM_SETFONT:
      SetScrollBarsParameters(false);
      break;
    default:
      break;
  }
}

void TcxCustomMemo::EnabledChanged()
{
  inherited::EnabledChanged();
  SetScrollBarsParameters(false);
}

void TcxCustomMemo::InnerEditChanged(rtl::TObject* Sender)
{
  inherited::InnerEditChanged(Sender);
  UpdateScrollBarsParameters();
}

void TcxCustomInnerMemo::MirrorScrollBars(const rtl::TMessage& AMessage, bool ABefore)
{
  TcxCustomMemo* editor = GetContainer();
  if (!editor || editor->IsDestroying())
    return;
  switch (AMessage.Msg) {
    case WM_WINDOWPOSCHANGED:
      if (ABefore)
        editor->SetScrollBarsParameters(false);
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (!ABefore)
        editor->SetScrollBarsParameters(false);
      break;
    case WM_KEYDOWN:
    case WM_SIZE:
      if (!ABefore)
        editor->UpdateScrollBarsParameters();
      break;
    case WM_NCCALCSIZE:
      if (!ABefore && !editor->FScrollBarsCalculating)
        editor->UpdateScrollBarsParameters();
      break;
    default:
      break;
  }
}

void TcxCustomInnerMemo::HandleWMNCPaint(rtl::TMessage& AMessage)
{
  TcxCustomMemo* editor = GetContainer();
  const HWND wnd = GetHandle();
  const LONG style = GetWindowLongW(wnd, GWL_STYLE);
  const LONG bars = style & (WS_HSCROLL | WS_VSCROLL);
  if (!editor || !cxCanGetScrollBarInfo() || editor->IsNonClassicScrollBarMode() || bars == 0) {
    rtl::InheritedMessage(this, AMessage);
    return;
  }
  SetWindowLongW(wnd, GWL_STYLE, style & ~bars);
  try {
    rtl::InheritedMessage(this, AMessage);
  } catch (...) {
    SetWindowLongW(wnd, GWL_STYLE, GetWindowLongW(wnd, GWL_STYLE) | bars);
    throw;
  }
  SetWindowLongW(wnd, GWL_STYLE, GetWindowLongW(wnd, GWL_STYLE) | bars);
  IcxControlScrollBar* horizontal = editor->GetMainScrollBar(TScrollBarKind::sbHorizontal);
  IcxControlScrollBar* vertical = editor->GetMainScrollBar(TScrollBarKind::sbVertical);
  if (horizontal && vertical && horizontal->GetVisible() && vertical->GetVisible()) {
    // The corner between the bars, in this window's coordinates.
    const TRect vbar = vertical->GetBoundsRect();
    const TRect hbar = horizontal->GetBoundsRect();
    TRect corner{vbar.left - GetLeft(), hbar.top - GetTop(), vbar.right - GetLeft(), hbar.bottom - GetTop()};
    cxFillContainerRect(editor, corner);
  }
}

// ---------------------------------------------------------------------------
// TcxCustomMemoViewData

unsigned TcxCustomMemoViewData::GetDrawTextFlags()
{
  unsigned result = cxdtfEditControl | cxdtfExpandTabs | cxdtfPreventLeftExceed;
  const vcl::TScrollStyle scrollBars = MemoProperties()->GetScrollBars();
  if (MemoProperties()->GetWordWrap() && scrollBars != vcl::TScrollStyle::ssHorizontal &&
      scrollBars != vcl::TScrollStyle::ssBoth)
    result |= cxdtfWordBreak | cxdtfCharBreak;
  rtl::TAlignment horz = HorzAlignment;
  if (UseRightToLeftAlignment && horz != rtl::TAlignment::taCenter)
    horz = horz == rtl::TAlignment::taLeftJustify ? rtl::TAlignment::taRightJustify : rtl::TAlignment::taLeftJustify;
  if (horz == rtl::TAlignment::taCenter)
    result |= taCenterX;
  else if (horz == rtl::TAlignment::taRightJustify)
    result |= taRight;
  if (UseRightToLeftReading)
    result |= cxdtfRTLReading;
  return result;
}

TRect TcxCustomMemoViewData::GetDrawTextOffset()
{
  return GetIsInplace() ? TRect{1, 1, 1, 1} : TRect{1, 1, 1, 3};
}

TSize TcxCustomMemoViewData::GetEditContentSizeCorrection()
{
  const TRect offset = GetDrawTextOffset();
  return TSize{offset.left + offset.right, offset.top + offset.bottom};
}

int TcxCustomMemoViewData::GetMaxLineCount()
{
  return VisibleLineCount() > 0 ? VisibleLineCount() : inherited::GetMaxLineCount();
}

void TcxCustomMemoViewData::CalculateConstantPartSize(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo,
                                                      TSize& AConstantPart, TSize& MinContentSize)
{
  inherited::CalculateConstantPartSize(ACanvas, AViewInfo, AConstantPart, MinContentSize);
  const vcl::TScrollStyle scrollBars = MemoProperties()->GetScrollBars();
  if (auto* memo = rtl::As<TcxCustomMemo>(GetEdit());
      memo && (scrollBars == vcl::TScrollStyle::ssHorizontal || scrollBars == vcl::TScrollStyle::ssBoth))
    AConstantPart.cy += GetSystemMetrics(SM_CYHSCROLL);
  if (VisibleLineCount() > 0) {
    ACanvas->SetFont(Style()->GetVisibleFont());
    const int rows = GetEditContentSizeCorrection().cy + ACanvas->TextHeight(L"Zg") * VisibleLineCount();
    MinContentSize.cy = std::max<LONG>(MinContentSize.cy, rows);
  }
}

TSize TcxCustomMemoViewData::CalculateValueContentSize(TcxCanvas* ACanvas, const rtl::Variant& AEditValue,
                                                       const TcxEditSizeProperties& AEditSizeProperties)
{
  const rtl::String text = rtl::VarToStr(EditValueToDisplayValue(AEditValue));
  return cxTextEditCalculateContentSize(this, ACanvas, text, GetDrawTextFlags(), AEditSizeProperties,
                                        VisibleLineCount(), true);
}

// A trailing line break counts as a row of its own.
TSize TcxCustomMemoViewData::GetEditingContentSize(TcxCanvas* ACanvas, const rtl::Variant& AEditValue,
                                                   const TcxEditSizeProperties& AEditSizeProperties)
{
  rtl::String text = rtl::VarToStr(EditValueToDisplayValue(AEditValue));
  if (!text.empty() && (text.back() == L'\r' || text.back() == L'\n'))
    text += L"\r\n";
  return cxTextEditCalculateContentSize(this, ACanvas, text, GetDrawTextFlags(), AEditSizeProperties,
                                        VisibleLineCount(), true);
}

TcxCustomEditViewInfoClass TcxCustomMemoProperties::GetViewInfoClass()
{
  return TcxCustomEditViewInfoClass::Of<TcxCustomMemoViewInfo>();
}

TcxCustomEditViewDataClass TcxCustomMemoProperties::ViewDataClass()
{
  return TcxCustomEditViewDataClass::Of<TcxCustomMemoViewData>();
}
