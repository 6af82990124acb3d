// The inner text edit: the native EDIT window inside a text editor, and its
// helper object through which the editor reaches it.
#include "editors/cxTextEdit.h"

namespace {

vcl::TShiftState KeyDataToShift()
{
  vcl::TShiftState shift;
  if (GetKeyState(VK_SHIFT) < 0)
    shift.Include(vcl::TShiftStateItem::ssShift);
  if (GetKeyState(VK_CONTROL) < 0)
    shift.Include(vcl::TShiftStateItem::ssCtrl);
  if (GetKeyState(VK_MENU) < 0)
    shift.Include(vcl::TShiftStateItem::ssAlt);
  return shift;
}

}  // namespace

// ---------------------------------------------------------------------------
// State before a key

void cxTextEditSavePrevState(IcxInnerTextEdit* AInnerEdit, bool ASaveText, TcxCustomInnerTextEditPrevState& AState)
{
  AState.IsPrevTextSaved = ASaveText;
  if (ASaveText)
    AState.PrevText = rtl::VarToStr(AInnerEdit->GetEditValue());
  AState.PrevSelStart = AInnerEdit->GetSelStart();
  AState.PrevSelLength = AInnerEdit->GetSelLength();
}

bool cxTextEditIsStateChanged(IcxInnerTextEdit* AInnerEdit, const TcxCustomInnerTextEditPrevState& AState)
{
  if (!AInnerEdit->GetControl()->HandleAllocated())
    return true;
  if (AInnerEdit->GetSelStart() != AState.PrevSelStart || AInnerEdit->GetSelLength() != AState.PrevSelLength)
    return true;
  return AState.IsPrevTextSaved && !rtl::AnsiSameText(rtl::VarToStr(AInnerEdit->GetEditValue()), AState.PrevText);
}

// ---------------------------------------------------------------------------
// TcxCustomInnerTextEditHelper

void TcxCustomInnerTextEditHelper::Create(TcxCustomInnerTextEdit* AEdit)
{
  inherited::Create(AEdit);
  FEdit = AEdit;
  FControl = AEdit;
  FImeMode = TImeMode::imDontCare;
}

bool TcxCustomInnerTextEditHelper::GetIsInplace()
{
  TcxContainer* editor = GetControlContainer();
  return editor && editor->IsInplace();
}

vcl::TWinControl* __stdcall TcxCustomInnerTextEditHelper::GetControl()
{
  return FControl;
}

TcxContainer* __stdcall TcxCustomInnerTextEditHelper::GetControlContainer()
{
  return FEdit->GetContainer();
}

LRESULT __stdcall TcxCustomInnerTextEditHelper::CallDefWndProc(UINT AMsg, WPARAM AWParam, LPARAM ALParam)
{
  rtl::TMessage message{AMsg, AWParam, ALParam, 0};
  FControl->vcl::TWinControl::DefaultHandler(message);
  return message.Result;
}

rtl::Variant __stdcall TcxCustomInnerTextEditHelper::GetEditValue()
{
  return rtl::Variant(FControl->vcl::TControl::GetText());
}

rtl::TNotifyEvent __stdcall TcxCustomInnerTextEditHelper::GetOnChange()
{
  return FControl->GetOnChange();
}

bool __stdcall TcxCustomInnerTextEditHelper::GetReadOnly()
{
  return FControl->GetReadOnly();
}

void __stdcall TcxCustomInnerTextEditHelper::LockBounds(bool ALock)
{
  FEdit->LockBounds(ALock);
}

void __stdcall TcxCustomInnerTextEditHelper::SafelySetFocus()
{
  const bool autoSelect = FControl->GetAutoSelect();
  FControl->SetAutoSelect(false);
  try {
    if (FControl->CanFocus())
      FControl->SetFocus();
  } catch (...) {
    FControl->SetAutoSelect(autoSelect);
    throw;
  }
  FControl->SetAutoSelect(autoSelect);
}

// A value that differs from the shown text only in case, set while the
// editor validates a lookup completion, keeps the caret and selection.
void __stdcall TcxCustomInnerTextEditHelper::SetEditValue(const rtl::Variant& AValue)
{
  const bool designing = FEdit->GetComponentState().Contains(rtl::TComponentStateFlag::csDesigning);
  const rtl::String current = FEdit->vcl::TControl::GetText();
  const rtl::String text = cxTextEditApplyCharCase(rtl::VarToStr(AValue), FEdit->GetCharCase());
  TcxCustomTextEdit* editor = FEdit->GetContainer();
  const bool keepSelection = !designing && FEdit->HandleAllocated() && editor && editor->GetIsEditValidating() &&
                             editor->GetFindSelection() && current != text && rtl::AnsiSameText(current, text);
  const int selStart = keepSelection ? GetSelStart() : 0;
  const int selLength = keepSelection ? GetSelLength() : 0;
  FEdit->vcl::TControl::SetText(text);
  if (keepSelection) {
    SetSelStart(selStart);
    SetSelLength(selLength);
  }
}

void __stdcall TcxCustomInnerTextEditHelper::SetParent(vcl::TWinControl* AValue)
{
  FControl->SetParent(AValue);
}

void __stdcall TcxCustomInnerTextEditHelper::SetOnChange(rtl::TNotifyEvent AValue)
{
  FControl->SetOnChange(AValue);
}

void __stdcall TcxCustomInnerTextEditHelper::SetReadOnly(bool AValue)
{
  FControl->SetReadOnly(AValue);
}

void __stdcall TcxCustomInnerTextEditHelper::ClearSelection()
{
  FControl->ClearSelection();
}

void __stdcall TcxCustomInnerTextEditHelper::CopyToClipboard()
{
  FControl->CopyToClipboard();
}

rtl::TAlignment __stdcall TcxCustomInnerTextEditHelper::GetAlignment()
{
  return FEdit->GetInnerAlignment();
}

bool __stdcall TcxCustomInnerTextEditHelper::GetAutoSelect()
{
  return FControl->GetAutoSelect();
}

vcl::TEditCharCase __stdcall TcxCustomInnerTextEditHelper::GetCharCase()
{
  return FControl->GetCharCase();
}

TcxEditEchoMode __stdcall TcxCustomInnerTextEditHelper::GetEchoMode()
{
  return FEdit->GetEchoMode();
}

int __stdcall TcxCustomInnerTextEditHelper::GetFirstVisibleCharIndex()
{
  if (!FControl->HandleAllocated())
    return 0;
  return LOWORD(SendMessageW(FControl->GetHandle(), EM_CHARFROMPOS, 0, 0));
}

bool __stdcall TcxCustomInnerTextEditHelper::GetHideSelection()
{
  return FControl->GetHideSelection();
}

bool __stdcall TcxCustomInnerTextEditHelper::GetInternalUpdating()
{
  return FEdit->GetInternalUpdating();
}

int __stdcall TcxCustomInnerTextEditHelper::GetMaxLength()
{
  return FControl->GetMaxLength();
}

bool __stdcall TcxCustomInnerTextEditHelper::GetOEMConvert()
{
  return FControl->GetOEMConvert();
}

rtl::TNotifyEvent __stdcall TcxCustomInnerTextEditHelper::GetOnSelChange()
{
  return FEdit->GetOnSelChange();
}

wchar_t __stdcall TcxCustomInnerTextEditHelper::GetPasswordChar()
{
  return FEdit->GetInnerPasswordChar();
}

int __stdcall TcxCustomInnerTextEditHelper::GetSelLength()
{
  return FControl->GetSelLength();
}

int __stdcall TcxCustomInnerTextEditHelper::GetSelStart()
{
  return FControl->GetSelStart();
}

rtl::String __stdcall TcxCustomInnerTextEditHelper::GetSelText()
{
  return FControl->GetSelText();
}

bool __stdcall TcxCustomInnerTextEditHelper::GetUseLeftAlignmentOnEditing()
{
  return FEdit->GetUseLeftAlignmentOnEditing();
}

void __stdcall TcxCustomInnerTextEditHelper::SelectAll()
{
  if (FControl->HandleAllocated())
    FControl->SelectAll();
}

void __stdcall TcxCustomInnerTextEditHelper::SetAlignment(rtl::TAlignment AValue)
{
  FEdit->SetInnerAlignment(AValue);
}

void __stdcall TcxCustomInnerTextEditHelper::SetAutoSelect(bool AValue)
{
  FControl->SetAutoSelect(AValue);
}

void __stdcall TcxCustomInnerTextEditHelper::SetCharCase(vcl::TEditCharCase AValue)
{
  FControl->SetCharCase(AValue);
}

void __stdcall TcxCustomInnerTextEditHelper::SetEchoMode(TcxEditEchoMode AValue)
{
  FEdit->SetEchoMode(AValue);
}

void __stdcall TcxCustomInnerTextEditHelper::SetHideSelection(bool AValue)
{
  FControl->SetHideSelection(AValue);
}

void __stdcall TcxCustomInnerTextEditHelper::SetInternalUpdating(bool AValue)
{
  FEdit->SetInternalUpdating(AValue);
}

void __stdcall TcxCustomInnerTextEditHelper::SetMaxLength(int AValue)
{
  FControl->SetMaxLength(AValue);
}

void __stdcall TcxCustomInnerTextEditHelper::SetOEMConvert(bool AValue)
{
  FControl->SetOEMConvert(AValue);
}

void __stdcall TcxCustomInnerTextEditHelper::SetOnSelChange(rtl::TNotifyEvent AValue)
{
  FEdit->SetOnSelChange(AValue);
}

void __stdcall TcxCustomInnerTextEditHelper::SetPasswordChar(wchar_t AValue)
{
  FEdit->SetInnerPasswordChar(AValue);
}

void __stdcall TcxCustomInnerTextEditHelper::SetSelLength(int AValue)
{
  if (FControl->HandleAllocated())
    FControl->SetSelLength(AValue);
}

void __stdcall TcxCustomInnerTextEditHelper::SetSelStart(int AValue)
{
  if (FControl->HandleAllocated())
    FControl->SetSelStart(AValue);
}

void __stdcall TcxCustomInnerTextEditHelper::SetSelText(const rtl::String& AValue)
{
  FControl->SetSelText(AValue);
}

void __stdcall TcxCustomInnerTextEditHelper::SetUseLeftAlignmentOnEditing(bool AValue)
{
  FEdit->SetUseLeftAlignmentOnEditing(AValue);
}

rtl::String __stdcall TcxCustomInnerTextEditHelper::GetTextHint()
{
  return FControl->GetTextHint();
}

void __stdcall TcxCustomInnerTextEditHelper::SetTextHint(const rtl::String& AValue)
{
  FControl->SetTextHint(AValue);
}

// ---------------------------------------------------------------------------
// TcxCustomInnerTextEdit

void TcxCustomInnerTextEdit::Create(rtl::TComponent* AOwner)
{
  FIsCreating = true;
  inherited::Create(AOwner);
  FHelper = CreateHelper();
  FControlStyle.Include(vcl::TControlStyleItem::csDoubleClicks);
  SetParentColor(true);
  SetParentFont(false);
  FEchoMode = TcxEditEchoMode::eemNormal;
  FIsCreating = false;
  FUseLeftAlignmentOnEditing = true;
}

void TcxCustomInnerTextEdit::Destroy()
{
  rtl::FreeAndNil(FHelper);
  inherited::Destroy();
}

TcxCustomInnerTextEditHelper* TcxCustomInnerTextEdit::CreateHelper()
{
  return rtl::New<TcxCustomInnerTextEditHelper>(this);
}

TcxCustomTextEdit* TcxCustomInnerTextEdit::GetContainer() const
{
  rtl::TComponent* owner = const_cast<TcxCustomInnerTextEdit*>(this)->GetOwner();
  return rtl::Is<TcxCustomTextEdit>(owner) ? static_cast<TcxCustomTextEdit*>(owner) : nullptr;
}

TcxContainer* __stdcall TcxCustomInnerTextEdit::GetControlContainer()
{
  return GetContainer();
}

void TcxCustomInnerTextEdit::SetEchoMode(TcxEditEchoMode AValue)
{
  if (FEchoMode == AValue)
    return;
  FEchoMode = AValue;
  if (HandleAllocated())
    RecreateWnd();
}

void TcxCustomInnerTextEdit::SetInnerPasswordChar(wchar_t AValue)
{
  if (FPasswordChar == AValue)
    return;
  FPasswordChar = AValue;
  if (FEchoMode == TcxEditEchoMode::eemPassword && HandleAllocated())
    RecreateWnd();
}

void TcxCustomInnerTextEdit::SetInnerAlignment(rtl::TAlignment AValue)
{
  if (FAlignment == AValue)
    return;
  FAlignment = AValue;
  if (!FUseLeftAlignmentOnEditing && HandleAllocated())
    RecreateWnd();
}

void TcxCustomInnerTextEdit::SetUseLeftAlignmentOnEditing(bool AValue)
{
  if (FUseLeftAlignmentOnEditing == AValue)
    return;
  FUseLeftAlignmentOnEditing = AValue;
  if (FAlignment != rtl::TAlignment::taLeftJustify && HandleAllocated())
    RecreateWnd();
}

void TcxCustomInnerTextEdit::LockBounds(bool ALock)
{
  if (ALock)
    ++FLockBoundsCount;
  else if (FLockBoundsCount > 0)
    --FLockBoundsCount;
}

rtl::TAlignment TcxCustomInnerTextEdit::GetWindowAlignment()
{
  const bool designing = GetComponentState().Contains(rtl::TComponentStateFlag::csDesigning);
  if (FUseLeftAlignmentOnEditing && !designing)
    return rtl::TAlignment::taLeftJustify;
  return FAlignment;
}

void TcxCustomInnerTextEdit::SetMargins()
{
  if (HandleAllocated())
    SendMessageW(GetHandle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(0, 1));
}

void TcxCustomInnerTextEdit::CreateParams(vcl::TCreateParams& AParams)
{
  static constexpr DWORD kAlignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
  inherited::CreateParams(AParams);
  AParams.Style &= ~static_cast<DWORD>(ES_LEFT | ES_RIGHT | ES_CENTER | WS_BORDER | WS_DLGFRAME | WS_THICKFRAME);
  AParams.Style |= kAlignments[static_cast<int>(GetWindowAlignment())] | ES_AUTOHSCROLL;
  if (FEchoMode == TcxEditEchoMode::eemPassword)
    AParams.Style |= ES_PASSWORD;
  AParams.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
}

void TcxCustomInnerTextEdit::CreateWnd()
{
  if (TcxCustomTextEdit* editor = GetContainer())
    editor->ClearSavedChildControlRegions();
  inherited::CreateWnd();
  SetMargins();
  if (FEchoMode == TcxEditEchoMode::eemPassword)
    SendMessageW(GetHandle(), EM_SETPASSWORDCHAR, FPasswordChar ? FPasswordChar : L'*', 0);
}

void TcxCustomInnerTextEdit::WndProc(rtl::TMessage& AMessage)
{
  TcxCustomTextEdit* editor = GetContainer();
  if (editor && editor->InnerControlMenuHandler(AMessage))
    return;
  inherited::WndProc(AMessage);
}

void TcxCustomInnerTextEdit::DefaultHandler(rtl::TMessage& AMessage)
{
  TcxCustomTextEdit* editor = GetContainer();
  if (!editor || !editor->InnerControlDefaultHandler(AMessage))
    inherited::DefaultHandler(AMessage);
}

void TcxCustomInnerTextEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
  if (FIsCreating || FLockBoundsCount > 0)
    return;
  TcxCustomTextEdit* editor = GetContainer();
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

void TcxCustomInnerTextEdit::KeyDown(WORD& AKey, vcl::TShiftState AShift)
{
  FInternalUpdating = false;
  if (TcxCustomTextEdit* editor = GetContainer())
    editor->InnerKeyDown(AKey, AShift);
  if (AKey == 0)
    FInternalUpdating = true;
  else
    inherited::KeyDown(AKey, AShift);
}

void TcxCustomInnerTextEdit::KeyPress(wchar_t& AKey)
{
  FInternalUpdating = false;
  if (AKey == L'\t')
    AKey = 0;
  TcxCustomTextEdit* editor = GetContainer();
  if (editor && AKey != 0) {
    rtl::TFreeWatch watch(this);
    editor->InnerKeyPress(AKey);
    if (watch.Freed())
      return;
  }
  if (editor && AKey != 0) {
    const bool enterOrEscape = AKey == L'\r' || AKey == L'\x1B';
    bool zeroed = false;
    if (enterOrEscape && (editor->IsInplace() || editor->GetIsPopupWindowJustClosed()))
      zeroed = true;
    else if ((AKey == L'\n' || AKey == L'\r') && !editor->GetBeepOnEnter())
      zeroed = true;
    if (zeroed) {
      AKey = 0;
      editor->SetIsPopupWindowJustClosed(false);
    }
  }
  if (AKey == 0)
    FInternalUpdating = true;
  else
    inherited::KeyPress(AKey);
}

void TcxCustomInnerTextEdit::KeyUp(WORD& AKey, vcl::TShiftState AShift)
{
  FInternalUpdating = false;
  if (AKey == VK_TAB)
    AKey = 0;
  if (TcxCustomTextEdit* editor = GetContainer(); editor && AKey != 0)
    editor->InnerKeyUp(AKey, AShift);
  if (AKey == 0)
    FInternalUpdating = true;
  else
    inherited::KeyUp(AKey, AShift);
}

// A key that moved nothing and changed no text raises the editor's
// after-key-down event here; keys that did something do not.
void TcxCustomInnerTextEdit::HandleWMKeyDown(rtl::TMessage& AMessage)
{
  TcxCustomTextEdit* editor = GetContainer();
  TcxCustomInnerTextEditPrevState state;
  cxTextEditSavePrevState(FHelper, true, state);
  FInternalUpdating = false;
  rtl::TFreeWatch watch(this);
  rtl::InheritedMessage(this, AMessage);
  if (watch.Freed() || !editor)
    return;
  WORD key = static_cast<WORD>(AMessage.WParam);
  if (key != 0 && !FInternalUpdating && !cxTextEditIsStateChanged(FHelper, state)) {
    editor->InnerAfterKeyDown(key, KeyDataToShift());
    AMessage.WParam = key;
  }
}

// Ctrl+A selects all, which is no modification.
void TcxCustomInnerTextEdit::HandleWMChar(rtl::TMessage& AMessage)
{
  TcxCustomTextEdit* editor = GetContainer();
  const bool selectAll = AMessage.WParam == 1;
  const bool modified = editor && editor->GetEditModified();
  const bool modifiedAfterEnter = editor && editor->GetModifiedAfterEnter();
  TcxCustomInnerTextEditPrevState state;
  cxTextEditSavePrevState(FHelper, true, state);
  FInternalUpdating = false;
  rtl::TFreeWatch watch(this);
  rtl::InheritedMessage(this, AMessage);
  if (watch.Freed() || !editor)
    return;
  if (selectAll) {
    editor->SetEditModified(modified);
    editor->SetModifiedAfterEnter(modifiedAfterEnter);
  }
  if (!FInternalUpdating && cxTextEditIsStateChanged(FHelper, state))
    editor->SetFindSelection(false);
}

void TcxCustomInnerTextEdit::HandleWMClear(rtl::TMessage& /*AMessage*/)
{
  TcxCustomTextEdit* editor = GetContainer();
  if (!editor || GetReadOnly())
    return;
  editor->BeginUserAction();
  try {
    editor->ClearSelection();
  } catch (...) {
    editor->EndUserAction();
    throw;
  }
  editor->EndUserAction();
}

void TcxCustomInnerTextEdit::HandleEMReplaceSel(rtl::TMessage& AMessage)
{
  TcxCustomTextEdit* editor = GetContainer();
  if (!editor || editor->DoEditing())
    rtl::InheritedMessage(this, AMessage);
}

void TcxCustomInnerTextEdit::HandleEMSetSel(rtl::TMessage& AMessage)
{
  rtl::InheritedMessage(this, AMessage);
  if (FOnSelChange)
    FOnSelChange(this);
}

void TcxCustomInnerTextEdit::HandleWMSizeOrFont(rtl::TMessage& AMessage)
{
  rtl::InheritedMessage(this, AMessage);
  SetMargins();
}

void TcxCustomInnerTextEdit::HandleWMSetFocus(rtl::TMessage& AMessage)
{
  rtl::TFreeWatch watch(this);
  rtl::InheritedMessage(this, AMessage);
  if (watch.Freed() || GetComponentState().Contains(rtl::TComponentStateFlag::csDestroying))
    return;
  TcxCustomTextEdit* editor = GetContainer();
  if (editor && reinterpret_cast<HWND>(AMessage.WParam) != (editor->HandleAllocated() ? editor->GetHandle() : nullptr))
    editor->InnerFocusChanged();
}

void TcxCustomInnerTextEdit::HandleWMKillFocus(rtl::TMessage& AMessage)
{
  rtl::TFreeWatch watch(this);
  rtl::InheritedMessage(this, AMessage);
  if (watch.Freed() || GetComponentState().Contains(rtl::TComponentStateFlag::csDestroying))
    return;
  if (TcxCustomTextEdit* editor = GetContainer())
    editor->InnerFocusChanged();
}

void TcxCustomInnerTextEdit::MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  inherited::MouseDown(AButton, AShift, X, Y);
  if (TcxCustomTextEdit* editor = GetContainer())
    editor->InnerMouseDown(AButton, AShift, X + GetLeft(), Y + GetTop());
}

void TcxCustomInnerTextEdit::MouseMove(vcl::TShiftState AShift, int X, int Y)
{
  inherited::MouseMove(AShift, X, Y);
  if (TcxCustomTextEdit* editor = GetContainer())
    editor->InnerMouseMove(AShift, X + GetLeft(), Y + GetTop());
}

void TcxCustomInnerTextEdit::MouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  inherited::MouseUp(AButton, AShift, X, Y);
  if (TcxCustomTextEdit* editor = GetContainer())
    editor->InnerMouseUp(AButton, AShift, X + GetLeft(), Y + GetTop());
}

void TcxCustomInnerTextEdit::Click()
{
  inherited::Click();
  if (TcxCustomTextEdit* editor = GetContainer())
    editor->InnerClick();
}

void TcxCustomInnerTextEdit::DblClick()
{
  inherited::DblClick();
  if (TcxCustomTextEdit* editor = GetContainer())
    editor->InnerDblClick();
}
