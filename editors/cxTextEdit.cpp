// The text editor's unit: its start-up registers the text properties with
// the editor properties registry and their filter helper.
#include <algorithm>

#include "core/dxCore.h"
#include "editors/cxEditConsts.h"
#include "editors/cxFilterControlUtils.h"
#include "editors/cxTextEdit.h"
#include "platform/vcl/GraphicsHandles.h"

namespace {

void cxTextEditInitialization()
{
  cxEditPropertiesRegistry()->Register(TcxTextEditProperties::StaticClass(),
                                       dxLookupResourceString(scxSEditRepositoryTextItem));
  cxFilterEditsControllerInstance()->Register(TcxTextEditProperties::StaticClass(), TcxFilterTextEditHelper::Class());
}

void cxTextEditFinalization()
{
  cxFilterEditsControllerUnregister(TcxTextEditProperties::StaticClass(), TcxFilterTextEditHelper::Class());
}

}  // namespace

RTL_UNIT(cxTextEdit, &cxTextEditInitialization, &cxTextEditFinalization);

// ---------------------------------------------------------------------------
// TcxCustomTextEdit: construction and the text messages

void TcxCustomTextEdit::Initialize()
{
  inherited::Initialize();
  FBeepOnEnter = true;
  FFindSelection = false;
  if (TcxCustomInnerTextEdit* inner = InnerTextEditControl()) {
    inner->SetColor(vcl::clWindow);
    inner->SetOnSelChange(rtl::TNotifyEvent::Bind<&TcxCustomTextEdit::InnerEditSelectionChanged>(this));
  }
  SetWidth(121);
  SetHeight(21);
  if (const auto lookupDataClass = GetActiveTextProperties()->GetLookupDataClass()) {
    FLookupData = lookupDataClass.Create(this);
    FLookupData->SetOnSelectItem(rtl::TNotifyEvent::Bind<&TcxCustomTextEdit::LookupDataSelectItem>(this));
  }
}

// Text queries during destruction still answer with the text it had.
void TcxCustomTextEdit::Destroy()
{
  FText = GetDisplayText();
  rtl::FreeAndNil(FLookupData);
  inherited::Destroy();
}

TcxCustomEditPropertiesClass TcxCustomTextEdit::GetPropertiesClass()
{
  return TcxCustomEditPropertiesClass::Of<TcxCustomTextEditProperties>();
}

rtl::ClassOf<vcl::TWinControl> TcxCustomTextEdit::GetInnerEditClass()
{
  return rtl::ClassOf<vcl::TWinControl>::Of<TcxCustomInnerTextEdit>();
}

IcxInnerTextEdit* TcxCustomTextEdit::GetInnerTextEdit()
{
  IcxCustomInnerEdit* inner = GetInnerEdit();
  return inner ? static_cast<IcxInnerTextEdit*>(inner) : nullptr;
}

TcxCustomInnerTextEdit* TcxCustomTextEdit::InnerTextEditControl() const
{
  vcl::TWinControl* control = GetInnerControl();
  return rtl::Is<TcxCustomInnerTextEdit>(control) ? static_cast<TcxCustomInnerTextEdit*>(control) : nullptr;
}

rtl::String TcxCustomTextEdit::GetDisplayText()
{
  IcxCustomInnerEdit* inner = GetInnerEdit();
  return inner ? rtl::VarToStr(inner->GetEditValue()) : rtl::String();
}

rtl::String TcxCustomTextEdit::TextForMessages()
{
  return GetInternalProperties() && !IsDestroying() ? GetDisplayText() : FText;
}

void TcxCustomTextEdit::HandleWMGetText(rtl::TMessage& AMessage)
{
  const auto capacity = static_cast<std::size_t>(AMessage.WParam);
  AMessage.Result = 0;
  if (capacity == 0 || AMessage.LParam == 0)
    return;
  const rtl::String text = TextForMessages();
  const std::size_t length = std::min(text.size(), capacity - 1);
  auto* buffer = reinterpret_cast<wchar_t*>(AMessage.LParam);
  text.copy(buffer, length);
  buffer[length] = L'\0';
  AMessage.Result = static_cast<LRESULT>(length);
}

void TcxCustomTextEdit::HandleWMGetTextLength(rtl::TMessage& AMessage)
{
  AMessage.Result = static_cast<LRESULT>(TextForMessages().size());
}

void TcxCustomTextEdit::HandleWMSetText(rtl::TMessage& AMessage)
{
  if (FInternalTextSetting) {
    inherited::DefaultHandler(AMessage);
    return;
  }
  AMessage.Result = 0;
  FInternalTextSetting = true;
  try {
    const auto* text = reinterpret_cast<const wchar_t*>(AMessage.LParam);
    AMessage.Result = SetTextValue(text ? rtl::String(text) : rtl::String()) ? 1 : 0;
  } catch (...) {
    FInternalTextSetting = false;
    throw;
  }
  FInternalTextSetting = false;
}

// The editor shows its own menu through the container.
void TcxCustomTextEdit::DefaultHandler(rtl::TMessage& AMessage)
{
  if (AMessage.Msg != WM_CONTEXTMENU)
    inherited::DefaultHandler(AMessage);
}

// ---------------------------------------------------------------------------
// Display value and edit value

bool TcxCustomTextEdit::SetTextValue(const rtl::String& AText)
{
  rtl::Variant value(AText);
  bool allowed = GetActiveTextProperties()->IsDisplayValueValid(value, InternalFocused());
  if (allowed && IsUserAction())
    allowed = DoEditing();
  if (allowed)
    SetDisplayValue(value);
  return allowed;
}

void TcxCustomTextEdit::SetDisplayValue(const rtl::Variant& AValue)
{
  GetDataBinding()->SetDisplayValue(AValue);
  if (!IsUserAction()) {
    ResetFindSelection();
    SynchronizeEditValue();
    SetEditModified(false);
  }
}

void TcxCustomTextEdit::SetInnerEditValue(const rtl::Variant& AValue)
{
  if (IcxCustomInnerEdit* inner = GetInnerEdit())
    inner->SetEditValue(AValue);
}

void TcxCustomTextEdit::PrepareEditValue(const rtl::Variant& ADisplayValue, rtl::Variant& EditValue,
                                         bool /*AEditFocused*/)
{
  EditValue = ADisplayValue;
}

void TcxCustomTextEdit::SynchronizeEditValue()
{
  TcxCustomEditProperties* properties = GetActiveProperties();
  const bool canCompare = properties->CanCompareEditValue();
  const rtl::Variant oldValue = canCompare ? FEditValue : rtl::Null();
  rtl::Variant newValue;
  PrepareEditValue(rtl::Variant(GetDisplayText()), newValue, InternalFocused());
  StoreEditValue(newValue);
  const bool changed = canCompare && !cxVarSameTypeAndValue(oldValue, newValue);
  if (IsUserAction())
    SetModifiedAfterEnter(true);
  else
    SetEditModified(false);
  if (changed) {
    DoEditValueChanged();
    if (!properties->InnerEditReportsChanges())
      DoChange();
  }
}

void TcxCustomTextEdit::RefreshDisplayValue()
{
  TcxCustomTextEditProperties* properties = GetActiveTextProperties();
  rtl::Variant displayValue;
  rtl::Variant editValue = FEditValue;
  const bool focused = InternalFocused();
  if (properties->IsEditValueValid(editValue, focused))
    EditorPrepareDisplayValue(FEditValue, displayValue, focused);
  else if (focused)
    displayValue = rtl::String();
  else
    displayValue = rtl::VarToStr(FEditValue);
  const bool modified = GetEditModified();
  const bool modifiedAfterEnter = GetModifiedAfterEnter();
  FIsDisplayValueSynchronizing = true;
  try {
    GetDataBinding()->SetDisplayValue(displayValue);
  } catch (...) {
    FIsDisplayValueSynchronizing = false;
    throw;
  }
  FIsDisplayValueSynchronizing = false;
  SetEditModified(modified);
  SetModifiedAfterEnter(modifiedAfterEnter);
  ResetFindSelection();
  UpdateDrawValue();
}

// The view info draws the text itself where no EDIT window shows it: it
// gets the display text masked and cased.
void TcxCustomTextEdit::UpdateDrawValue()
{
  if (IsDestroying())
    return;
  auto* viewInfo = rtl::As<TcxCustomTextEditViewInfo>(GetViewInfo());
  if (viewInfo && GetActiveProperties()) {
    rtl::TOwnedPtr<TcxCustomEditViewData> viewData{CreateViewData()};
    if (auto* textData = rtl::As<TcxCustomTextEditViewData>(viewData.get()))
      textData->DisplayValueToDrawValue(rtl::Variant(GetDisplayText()), viewInfo);
  }
  if (!HandleAllocated())
    return;
  if (viewInfo)
    PrepareFixedListSelection(viewInfo);
  Invalidate();
}

void TcxCustomTextEdit::SetEditValueFromText()
{
  LockClick(true);
  try {
    SetInternalEditValue(rtl::Variant(GetDisplayText()));
  } catch (...) {
    LockClick(false);
    throw;
  }
  LockClick(false);
}

bool TcxCustomTextEdit::IsNullStringShown()
{
  return !IsInplace() && GetActiveTextProperties()->GetUseNullString() && rtl::VarIsNull(FEditValue);
}

void TcxCustomTextEdit::ResetFindSelection()
{
  if (GetActiveTextProperties()->HasLookupData())
    FFindSelection = false;
}

void TcxCustomTextEdit::SetFindSelection(bool AValue)
{
  if (!HandleAllocated() || FFindSelection == AValue || FDisableRefresh)
    return;
  FFindSelection = AValue;
  UpdateDrawValue();
}

void TcxCustomTextEdit::SetEditingText(const rtl::String& AValue)
{
  if (!DoEditing())
    return;
  SetTextValue(AValue);
  SetModifiedAfterEnter(true);
}

void TcxCustomTextEdit::RecheckDisplayValue()
{
  if (IsInnerEditMissing())
    return;
  const TcxEditEditingStyle style = EditingStyle();
  if (style == TcxEditEditingStyle::esEdit || style == TcxEditEditingStyle::esNoEdit) {
    if (!GetModifiedAfterEnter())
      GetDataBinding()->UpdateDisplayValue();
    return;
  }
  rtl::Variant text(GetDisplayText());
  if (((GetModifiedAfterEnter() && !GetIsEditValidated()) || IsNullStringShown()) &&
      !GetActiveTextProperties()->IsDisplayValueValid(text, true)) {
    PushModifiedState();
    GetDataBinding()->SetDisplayValue(rtl::String());
    PopModifiedState();
    if (!GetModifiedAfterEnter())
      SynchronizeEditValue();
  } else {
    RefreshDisplayValue();
  }
}

// Typing changes Text and raises OnChange; EditValue waits for validation.
void TcxCustomTextEdit::InnerEditChanged(rtl::TObject* Sender)
{
  LockChangeEvents(true);
  try {
    if (FIsDisplayValueSynchronizing) {
      const bool modified = GetEditModified();
      const bool modifiedAfterEnter = GetModifiedAfterEnter();
      inherited::InnerEditChanged(Sender);
      SetEditModified(modified);
      SetModifiedAfterEnter(modifiedAfterEnter);
    } else {
      inherited::InnerEditChanged(Sender);
    }
    if (!IsEditClass())
      UpdateDrawValue();
  } catch (...) {
    LockChangeEvents(false);
    throw;
  }
  LockChangeEvents(false);
}

// ---------------------------------------------------------------------------
// Selection and clipboard

int TcxCustomTextEdit::GetSelStart()
{
  const TcxEditEditingStyle style = EditingStyle();
  IcxInnerTextEdit* inner = GetInnerTextEdit();
  if (!inner || style == TcxEditEditingStyle::esNoEdit || (style == TcxEditEditingStyle::esFixedList && !FFindSelection))
    return 0;
  return inner->GetSelStart();
}

void TcxCustomTextEdit::SetSelStart(int AValue)
{
  if (IcxInnerTextEdit* inner = GetInnerTextEdit(); inner && EditingStyle() != TcxEditEditingStyle::esNoEdit)
    inner->SetSelStart(AValue);
}

int TcxCustomTextEdit::GetSelLength()
{
  const TcxEditEditingStyle style = EditingStyle();
  IcxInnerTextEdit* inner = GetInnerTextEdit();
  if (!inner || style == TcxEditEditingStyle::esNoEdit || (style == TcxEditEditingStyle::esFixedList && !FFindSelection))
    return 0;
  return inner->GetSelLength();
}

void TcxCustomTextEdit::SetSelLength(int AValue)
{
  if (IcxInnerTextEdit* inner = GetInnerTextEdit(); inner && EditingStyle() != TcxEditEditingStyle::esNoEdit)
    inner->SetSelLength(AValue);
}

rtl::String TcxCustomTextEdit::GetSelText()
{
  const TcxEditEditingStyle style = EditingStyle();
  IcxInnerTextEdit* inner = GetInnerTextEdit();
  if (!inner || style == TcxEditEditingStyle::esNoEdit || (style == TcxEditEditingStyle::esFixedList && !FFindSelection))
    return {};
  return inner->GetSelText();
}

void TcxCustomTextEdit::SetSelection(int ASelStart, int ASelLength)
{
  SetSelStart(ASelStart);
  SetSelLength(ASelLength);
}

void TcxCustomTextEdit::SetSelText(const rtl::String& AValue)
{
  rtl::String text;
  int selStart = 0;
  if (!CheckSelTextReplacement(AValue, text, selStart))
    return;
  SetDisplayValue(rtl::Variant(text));
  SetSelStart(selStart);
}

// The text a replacement of the selection gives, and where the caret goes;
// a typed or pasted text is cut to MaxLength, and refused when the cut
// would leave the caret before where it was.
bool TcxCustomTextEdit::CheckSelTextReplacement(const rtl::String& ANewSelText, rtl::String& AText, int& ASelStart)
{
  const TcxEditEditingStyle style = EditingStyle();
  const bool userAction = IsUserAction();
  if (userAction && style == TcxEditEditingStyle::esNoEdit)
    return false;
  if (style == TcxEditEditingStyle::esFixedList || style == TcxEditEditingStyle::esNoEdit)
    SelectAll();
  const rtl::String current = GetDisplayText();
  const auto selStart = std::min<std::size_t>(static_cast<std::size_t>(std::max(GetSelStart(), 0)), current.size());
  const auto selEnd =
      std::min<std::size_t>(selStart + static_cast<std::size_t>(std::max(GetSelLength(), 0)), current.size());
  const rtl::String before = current.substr(0, selStart);
  const rtl::String after = current.substr(selEnd);
  const int maxLength = GetActiveTextProperties()->GetMaxLength();
  if (userAction && (style == TcxEditEditingStyle::esEdit || style == TcxEditEditingStyle::esNoEdit) && maxLength >= 1) {
    const rtl::String head = before + ANewSelText;
    ASelStart = static_cast<int>(std::min<std::size_t>(head.size(), static_cast<std::size_t>(maxLength)));
    if (ASelStart < static_cast<int>(selStart))
      return false;
    AText = (head + after).substr(0, static_cast<std::size_t>(maxLength));
  } else {
    AText = style == TcxEditEditingStyle::esFixedList ? ANewSelText : before + ANewSelText + after;
    ASelStart = static_cast<int>(selStart + ANewSelText.size());
  }
  rtl::Variant value(AText);
  if (!GetActiveTextProperties()->IsDisplayValueValid(value, InternalFocused()) || !DoEditing())
    return false;
  AText = rtl::VarToStr(value);
  return true;
}

void TcxCustomTextEdit::ClearSelection()
{
  const int length = GetSelLength();
  if (length == 0)
    return;
  const int start = GetSelStart();
  rtl::String text = GetDisplayText();
  text.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
  if (SetTextValue(text))
    SetSelStart(start);
}

void TcxCustomTextEdit::HandleWMClear(rtl::TMessage& /*AMessage*/)
{
  if (GetActiveProperties()->GetReadOnly() || !GetDataBinding()->GetIsDataAvailable())
    return;
  BeginUserAction();
  try {
    ClearSelection();
  } catch (...) {
    EndUserAction();
    throw;
  }
  EndUserAction();
}

void TcxCustomTextEdit::SelectAll()
{
  if (IcxInnerTextEdit* inner = GetInnerTextEdit())
    inner->SelectAll();
}

void TcxCustomTextEdit::CopyToClipboard()
{
  const TcxEditEditingStyle style = EditingStyle();
  if (style == TcxEditEditingStyle::esFixedList || style == TcxEditEditingStyle::esNoEdit)
    SelectAll();
  if (GetSelLength() > 0)
    if (IcxInnerTextEdit* inner = GetInnerTextEdit())
      inner->CopyToClipboard();
}

void TcxCustomTextEdit::CutToClipboard()
{
  if (GetSelLength() == 0)
    return;
  IcxInnerTextEdit* inner = GetInnerTextEdit();
  if (!inner)
    return;
  if (!Focused()) {
    inner->CopyToClipboard();
    SetSelText(rtl::String());
    return;
  }
  BeginUserAction();
  try {
    rtl::String text;
    int selStart = 0;
    if (CheckSelTextReplacement(rtl::String(), text, selStart))
      inner->CallDefWndProc(WM_CUT, 0, 0);
  } catch (...) {
    EndUserAction();
    throw;
  }
  EndUserAction();
}

namespace {

// The clipboard's text; empty when it holds none.
rtl::String cxClipboardText()
{
  rtl::String result;
  if (!OpenClipboard(nullptr))
    return result;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    vcl::TGlobalLock<const wchar_t> text(data);
    if (text.Get())
      result = text.Get();
  }
  CloseClipboard();
  return result;
}

}  // namespace

void TcxCustomTextEdit::PasteFromClipboard()
{
  if (!IsClipboardFormatAvailable(CF_TEXT))
    return;
  IcxInnerTextEdit* inner = GetInnerTextEdit();
  if (!inner)
    return;
  const rtl::String clipboardText = cxClipboardText();
  if (!Focused()) {
    SetSelText(clipboardText);
    return;
  }
  BeginUserAction();
  try {
    rtl::String text;
    int selStart = 0;
    if (CheckSelTextReplacement(clipboardText, text, selStart)) {
      // The window takes what fits: the part cut to MaxLength.
      const int length = selStart - GetSelStart();
      if (length >= static_cast<int>(clipboardText.size())) {
        inner->CallDefWndProc(WM_PASTE, 0, 0);
      } else {
        const rtl::String part = clipboardText.substr(0, static_cast<std::size_t>(std::max(length, 0)));
        inner->CallDefWndProc(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(part.c_str()));
      }
    }
  } catch (...) {
    EndUserAction();
    throw;
  }
  EndUserAction();
}

int TcxCustomTextEdit::GetCursorPos()
{
  TcxCustomInnerTextEdit* inner = InnerTextEditControl();
  if (!inner || !inner->HandleAllocated())
    return 0;
  const HWND wnd = inner->GetHandle();
  const int length = static_cast<int>(GetDisplayText().size());
  if (length == 0)
    return 0;
  POINT caret{};
  ::GetCaretPos(&caret);
  auto xOf = [wnd](int AIndex) { return static_cast<short>(LOWORD(SendMessageW(wnd, EM_POSFROMCHAR, AIndex, 0))); };
  if (caret.x > xOf(length - 1))
    return length;
  int lo = 0;
  int hi = length - 1;
  while (hi - lo > 1) {
    const int middle = (lo + hi) / 2;
    if (xOf(middle) <= caret.x)
      lo = middle;
    else
      hi = middle;
  }
  return xOf(lo) == caret.x ? lo : hi;
}

rtl::String TcxCustomTextEdit::GetTextHint()
{
  IcxInnerTextEdit* inner = GetInnerTextEdit();
  return inner ? inner->GetTextHint() : rtl::String();
}

void TcxCustomTextEdit::SetTextHint(const rtl::String& AValue)
{
  if (IcxInnerTextEdit* inner = GetInnerTextEdit())
    inner->SetTextHint(AValue);
}

// ---------------------------------------------------------------------------
// Keys, focus and properties

bool TcxCustomTextEdit::IsEditClass()
{
  const TcxEditEditingStyle style = EditingStyle();
  return (style == TcxEditEditingStyle::esEdit || style == TcxEditEditingStyle::esEditList) && GetInnerEdit();
}

bool TcxCustomTextEdit::CanEdit()
{
  return EditingStyle() != TcxEditEditingStyle::esNoEdit;
}

bool TcxCustomTextEdit::CanSpellCheck()
{
  return GetActiveTextProperties()->GetEchoMode() == TcxEditEchoMode::eemNormal &&
         GetActiveProperties()->IsEditingAllowed();
}

bool TcxCustomTextEdit::AcceptsChar(wchar_t AChar)
{
  if (inherited::AcceptsChar(AChar))
    return true;
  return GetActiveTextProperties()->GetValidChars().test(static_cast<unsigned char>(AChar & 0xFF));
}

bool TcxCustomTextEdit::IsValueChangingChar(wchar_t AChar)
{
  return AChar >= L' ' || AChar == 1 || AChar == 8 || AChar == 22 || AChar == 24;
}

bool TcxCustomTextEdit::IsValueChangingKey(WORD AKey, vcl::TShiftState AShift)
{
  if (inherited::IsValueChangingKey(AKey, AShift) || AKey == VK_DELETE)
    return true;
  if (!FLookupData || FLookupData->IsEmpty() || !CanScrollLookupItems(false))
    return false;
  if (AKey == VK_PRIOR || AKey == VK_NEXT)
    return !HasPopupWindow();
  return (AKey == VK_UP || AKey == VK_DOWN) && !AShift.Contains(vcl::TShiftStateItem::ssAlt);
}

void TcxCustomTextEdit::KeyPress(wchar_t& AKey)
{
  if (AKey == L'\x1B' && FIsPopupWindowJustClosed && !HasPopupWindow())
    FIsPopupWindowJustClosed = false;
  inherited::KeyPress(AKey);
}

void TcxCustomTextEdit::SetFocusAndSelect()
{
  SetSelStart(0);
  inherited::SetFocusAndSelect();
}

void TcxCustomTextEdit::DoExit()
{
  inherited::DoExit();
  SetFindSelection(false);
}

void TcxCustomTextEdit::HandleWMSetFocus(rtl::TMessage& AMessage)
{
  TcxCustomInnerTextEdit* inner = InnerTextEditControl();
  if (inner && !IsInplace() && !IsDestroying())
    inner->HandleNeeded();
  rtl::InheritedMessage(this, AMessage);
}

void TcxCustomTextEdit::Loaded()
{
  inherited::Loaded();
  ShortRefreshContainer(false);
}

void TcxCustomTextEdit::InnerMouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  FInnerControlMouseDown = true;
  try {
    MouseDown(AButton, AShift, X, Y);
  } catch (...) {
    FInnerControlMouseDown = false;
    throw;
  }
  FInnerControlMouseDown = false;
}

int TcxCustomTextEdit::GetInnerEditHeight()
{
  TcxCustomInnerTextEdit* inner = InnerTextEditControl();
  if (!inner)
    return 0;
  vcl::TScreenDC dc;
  vcl::TSelectObjectGuard font(dc.Get(), inner->GetFont()->GetHandle());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.Get(), &metrics);
  return metrics.tmHeight;
}

// The inner window fills the client area less the content offsets, at the
// height of its font, placed by the vertical alignment.
void TcxCustomTextEdit::AdjustInnerEditPosition()
{
  TcxCustomInnerTextEdit* inner = InnerTextEditControl();
  if (!inner || FInnerEditPositionAdjusting)
    return;
  FInnerEditPositionAdjusting = true;
  try {
    TRect client = GetClientBounds();
    if (TcxContainerViewInfo* viewInfo = TcxContainer::GetViewInfo(); viewInfo && viewInfo->IsCalculated())
      client = viewInfo->ClientRect;
    const int height = GetInnerEditHeight();
    int top = client.top;
    switch (GetActiveProperties()->GetAlignment()->GetVert()) {
      case TcxEditVertAlignment::taBottomJustify:
        top = client.bottom - height;
        break;
      case TcxEditVertAlignment::taVCenter:
        top = client.top + (client.bottom - client.top - height) / 2;
        break;
      default:
        break;
    }
    top = std::max(top, static_cast<int>(client.top));
    const TRect bounds{client.left, top, client.right, top + height};
    if (const TRect current = inner->GetBoundsRect(); !EqualRect(&current, &bounds))
      inner->SetBoundsRect(bounds);
  } catch (...) {
    FInnerEditPositionAdjusting = false;
    throw;
  }
  FInnerEditPositionAdjusting = false;
}

void TcxCustomTextEdit::SynchronizeInnerEditStyle()
{
  TcxCustomInnerTextEdit* inner = InnerTextEditControl();
  if (!inner || IsLoading())
    return;
  inner->LockBounds(true);
  try {
    if (TcxContainerViewInfo* viewInfo = TcxContainer::GetViewInfo())
      inner->SetColor(viewInfo->GetBackgroundColor());
  } catch (...) {
    inner->LockBounds(false);
    throw;
  }
  inner->LockBounds(false);
}

void TcxCustomTextEdit::ContainerStyleChanged(rtl::TObject* Sender)
{
  TcxCustomInnerTextEdit* inner = InnerTextEditControl();
  if (inner && !IsDestroying() && inner->GetEchoMode() == TcxEditEchoMode::eemPassword &&
      GetActiveTextProperties()->GetPasswordChar() == 0 && inner->HandleAllocated())
    inner->RecreateWnd();
  inherited::ContainerStyleChanged(Sender);
}

// The properties go to the inner window, then the shown text is checked
// against them.
void TcxCustomTextEdit::PropertiesChanged(rtl::TObject* Sender)
{
  TcxCustomTextEditProperties* properties = GetActiveTextProperties();
  if (FLookupData) {
    FLookupData->ResetFilter();
    FLookupData->PropertiesChanged();
    if (!FLookupDataTextChangedLocked)
      FLookupData->TextChanged();
  }
  IcxInnerTextEdit* inner = GetInnerTextEdit();
  if (inner && !IsEditClass())
    UpdateDrawValue();
  if (inner) {
    inner->SetAlignment(properties->GetAlignment()->GetHorz());
    inner->SetUseLeftAlignmentOnEditing(properties->GetUseLeftAlignmentOnEditing());
    inner->SetAutoSelect(properties->GetAutoSelect() && !IsInplace());
    inner->SetCharCase(properties->GetCharCase());
    inner->SetEchoMode(properties->GetEchoMode());
    inner->SetHideSelection(properties->GetHideSelection());
    inner->SetImeMode(properties->GetImeMode());
    inner->SetImeName(properties->GetImeName());
    inner->SetMaxLength(properties->GetMaxLength());
    inner->SetOEMConvert(properties->GetOEMConvert());
    inner->SetPasswordChar(properties->GetPasswordChar());
    if (!GetIsPosting())
      RecheckDisplayValue();
    UpdateDrawValue();
  }
  inherited::PropertiesChanged(Sender);
  if (vcl::TWinControl* control = GetInnerControl())
    control->Invalidate();
}

// ---------------------------------------------------------------------------
// TcxTextEdit

TcxCustomEditPropertiesClass TcxTextEdit::GetPropertiesClass()
{
  return TcxCustomEditPropertiesClass::Of<TcxTextEditProperties>();
}

TcxCustomEditClass TcxCustomTextEditProperties::GetContainerClass()
{
  return TcxCustomEditClass::Of<TcxTextEdit>();
}
