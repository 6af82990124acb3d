// TCustomEdit, TCustomMemo and its line list, the buttons, TCustomListBox
// and its item list, TCustomLabel.
#include "platform/vcl/StdCtrls.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Forms.h"

using enum rtl::TAlignment;
using enum rtl::TComponentStateFlag;
using enum rtl::TOperation;
using enum vcl::TBrushStyle;
using enum vcl::TControlStateItem;
using enum vcl::TControlStyleItem;
using enum vcl::TFormBorderStyle;
using enum vcl::TListBoxStyle;
using enum vcl::TOwnerDrawStateItem;
using enum vcl::TTextLayout;

namespace vcl {

using rtl::InheritedMessage;

namespace {

// The largest text an EDIT window takes; EM_LIMITTEXT 0 means the same on
// Windows, but an explicit value leaves nothing to the platform's reading.
constexpr LPARAM kEditMaxLimit = 0x7FFFFFFE;
// EM_GETLINE takes its buffer size in the buffer's first WORD, so it cannot
// copy a line this long or longer.
constexpr int kGetLineMax = 0xFFFF;

// The window of a control, made when the control can have one; nil while
// it cannot (no parent window yet).
HWND WindowOf(TWinControl* AControl)
{
  if (AControl->HandleAllocated() || AControl->GetParent() || AControl->GetParentWindow())
    return AControl->GetHandle();
  return nullptr;
}

LRESULT Send(HWND AWnd, UINT AMsg, WPARAM AWParam = 0, LPARAM ALParam = 0)
{
  return AWnd ? SendMessageW(AWnd, AMsg, AWParam, ALParam) : 0;
}

// Every line break (CR LF, lone CR, lone LF) made CR LF: the EDIT window
// breaks lines at CR LF only.
String AdjustLineBreaks(const String& S)
{
  String result;
  result.reserve(S.size() + S.size() / 16);
  for (std::size_t i = 0; i < S.size(); ++i) {
    const wchar_t c = S[i];
    if (c == L'\r' || c == L'\n') {
      result += L"\r\n";
      if (c == L'\r' && i + 1 < S.size() && S[i + 1] == L'\n')
        ++i;
    } else {
      result += c;
    }
  }
  return result;
}

// The character after the first single '&' of a caption, upper-cased; 0
// when the caption has none.
wchar_t AccelChar(const String& ACaption)
{
  for (std::size_t i = 0; i + 1 < ACaption.size(); ++i) {
    if (ACaption[i] != L'&')
      continue;
    if (ACaption[i + 1] != L'&')
      return static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(CharUpperW(
          reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(ACaption[i + 1])))));
    ++i;
  }
  return 0;
}

wchar_t UpperChar(wchar_t AChar)
{
  return static_cast<wchar_t>(
      reinterpret_cast<UINT_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(AChar)))));
}

}  // namespace

// ---------------------------------------------------------------------------
// TCustomEdit

void TCustomEdit::Create(TComponent* AOwner)
{
  inherited::Create(AOwner);
  FControlStyle = {csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
  FWidth = 121;
  FHeight = 21;
  SetTabStop(true);
  FParentColor = false;
  FColor = clWindow;
  GetBrush()->SetColor(clWindow);
  FBorderStyle = bsSingle;
  FHideSelection = true;
  FAutoSelect = true;
}

void TCustomEdit::CreateParams(TCreateParams& AParams)
{
  constexpr DWORD kAlignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
  constexpr DWORD kCharCases[] = {0, ES_UPPERCASE, ES_LOWERCASE};
  inherited::CreateParams(AParams);
  CreateSubClass(AParams, L"EDIT");
  AParams.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL | kAlignments[FAlignment] | kCharCases[FCharCase];
  if (FReadOnly)
    AParams.Style |= ES_READONLY;
  if (!FHideSelection)
    AParams.Style |= ES_NOHIDESEL;
  if (FOEMConvert)
    AParams.Style |= ES_OEMCONVERT;
  if (FPasswordChar != 0)
    AParams.Style |= ES_PASSWORD;
  if (FBorderStyle == bsSingle)
    AParams.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd()
{
  FCreating = true;
  rtl::Finally creating([this] { FCreating = false; });
  inherited::CreateWnd();
  ApplyMaxLength();
  if (FPasswordChar != 0)
    Perform(EM_SETPASSWORDCHAR, FPasswordChar, 0);
  Perform(EM_SETMODIFY, FModified, 0);
  if (!FTextHint.empty())
    Perform(EM_SETCUEBANNER, 0, reinterpret_cast<LPARAM>(FTextHint.c_str()));
}

void TCustomEdit::DestroyWnd()
{
  FModified = Perform(EM_GETMODIFY, 0, 0) != 0;
  inherited::DestroyWnd();
}

void TCustomEdit::ApplyMaxLength()
{
  Perform(EM_LIMITTEXT, FMaxLength > 0 ? static_cast<WPARAM>(FMaxLength) : kEditMaxLimit, 0);
}

int TCustomEdit::GetSelStart()
{
  DWORD start = 0;
  DWORD finish = 0;
  Send(WindowOf(this), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&finish));
  return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int AValue)
{
  Send(WindowOf(this), EM_SETSEL, AValue, AValue);
}

int TCustomEdit::GetSelLength()
{
  DWORD start = 0;
  DWORD finish = 0;
  Send(WindowOf(this), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&finish));
  return static_cast<int>(finish - start);
}

void TCustomEdit::SetSelLength(int AValue)
{
  const HWND wnd = WindowOf(this);
  DWORD start = 0;
  DWORD finish = 0;
  Send(wnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&finish));
  Send(wnd, EM_SETSEL, start, static_cast<LPARAM>(start) + AValue);
}

String TCustomEdit::GetSelText()
{
  const int start = GetSelStart();
  const int length = GetSelLength();
  if (length <= 0)
    return {};
  return GetText().substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
}

void TCustomEdit::SetSelText(const String& AValue)
{
  Send(WindowOf(this), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(AValue.c_str()));
}

void TCustomEdit::SelectAll()
{
  Send(WindowOf(this), EM_SETSEL, 0, -1);
}

void TCustomEdit::ClearSelection()
{
  Send(WindowOf(this), WM_CLEAR);
}

void TCustomEdit::CopyToClipboard()
{
  Send(WindowOf(this), WM_COPY);
}

void TCustomEdit::CutToClipboard()
{
  Send(WindowOf(this), WM_CUT);
}

void TCustomEdit::PasteFromClipboard()
{
  Send(WindowOf(this), WM_PASTE);
}

void TCustomEdit::Undo()
{
  Send(WindowOf(this), WM_UNDO);
}

bool TCustomEdit::GetCanUndo()
{
  return Send(WindowOf(this), EM_CANUNDO) != 0;
}

void TCustomEdit::ClearUndo()
{
  Send(WindowOf(this), EM_EMPTYUNDOBUFFER);
}

void TCustomEdit::Clear()
{
  SetText(String());
}

bool TCustomEdit::GetModified()
{
  return HandleAllocated() ? Perform(EM_GETMODIFY, 0, 0) != 0 : FModified;
}

void TCustomEdit::SetModified(bool AValue)
{
  FModified = AValue;
  if (HandleAllocated())
    Perform(EM_SETMODIFY, AValue, 0);
}

void TCustomEdit::SetReadOnly(bool AValue)
{
  FReadOnly = AValue;
  if (HandleAllocated())
    Perform(EM_SETREADONLY, AValue, 0);
}

void TCustomEdit::SetMaxLength(int AValue)
{
  FMaxLength = std::max(AValue, 0);
  if (HandleAllocated())
    ApplyMaxLength();
}

void TCustomEdit::SetPasswordChar(wchar_t AValue)
{
  if (FPasswordChar == AValue)
    return;
  FPasswordChar = AValue;
  if (HandleAllocated()) {
    Perform(EM_SETPASSWORDCHAR, AValue, 0);
    Invalidate();
  }
}

void TCustomEdit::SetCharCase(TEditCharCase AValue)
{
  if (FCharCase == AValue)
    return;
  FCharCase = AValue;
  RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool AValue)
{
  if (FHideSelection == AValue)
    return;
  FHideSelection = AValue;
  RecreateWnd();
}

void TCustomEdit::SetOEMConvert(bool AValue)
{
  if (FOEMConvert == AValue)
    return;
  FOEMConvert = AValue;
  RecreateWnd();
}

void TCustomEdit::SetBorderStyle(TBorderStyle AValue)
{
  if (FBorderStyle == AValue)
    return;
  FBorderStyle = AValue;
  RecreateWnd();
}

void TCustomEdit::SetAlignment(rtl::TAlignment AValue)
{
  if (FAlignment == AValue)
    return;
  FAlignment = AValue;
  RecreateWnd();
}

void TCustomEdit::SetTextHint(const String& AValue)
{
  FTextHint = AValue;
  if (HandleAllocated())
    Perform(EM_SETCUEBANNER, 0, reinterpret_cast<LPARAM>(FTextHint.c_str()));
}

void TCustomEdit::Change()
{
  if (FOnChange)
    FOnChange(this);
}

void TCustomEdit::CNCommand(TWMCommand& AMessage)
{
  if (AMessage.NotifyCode == EN_CHANGE && !FCreating)
    Change();
}

// A single-line window reports its own text changes (EN_CHANGE); without a
// window, and for the multi-line window, which stays silent when its text
// is replaced, the text change is the change.
void TCustomEdit::CMTextChanged(TMessage& AMessage)
{
  InheritedMessage(this, AMessage);
  if (!HandleAllocated() || (GetWindowLongW(FHandle, GWL_STYLE) & ES_MULTILINE) != 0)
    Change();
}

void TCustomEdit::CMEnter(TMessage& AMessage)
{
  if (FAutoSelect && !FControlState.Contains(csLButtonDown) &&
      (GetWindowLongW(GetHandle(), GWL_STYLE) & ES_MULTILINE) == 0)
    SelectAll();
  InheritedMessage(this, AMessage);
}

// ---------------------------------------------------------------------------
// The memo's line list

namespace {

// The lines of a memo, read and changed through its window.
class TMemoStrings : public rtl::TStrings {
  RTL_CLASS(TMemoStrings, rtl::TStrings)

 public:
  void Create(TCustomMemo* AMemo) { FMemo = AMemo; }

  int GetCount() const override;
  void Clear() override { FMemo->Clear(); }
  void Delete(int AIndex) override;
  void Insert(int AIndex, const String& S) override;

 protected:
  String Get(int AIndex) override;
  void Put(int AIndex, const String& S) override;
  String GetTextStr() override { return FMemo->GetText(); }
  void SetTextStr(const String& AText) override;
  void SetUpdateState(bool AUpdating) override;

 private:
  HWND Window() const { return FMemo->GetHandle(); }
  // The first character of line AIndex; -1 when there is no such line.
  int LineStart(HWND AWnd, int AIndex) const
  {
    return AIndex < 0 ? -1 : static_cast<int>(SendMessageW(AWnd, EM_LINEINDEX, AIndex, 0));
  }
  int LineLength(HWND AWnd, int AStart) const
  {
    return static_cast<int>(SendMessageW(AWnd, EM_LINELENGTH, AStart, 0));
  }
  void Replace(HWND AWnd, int AStart, int AEnd, const String& S)
  {
    SendMessageW(AWnd, EM_SETSEL, AStart, AEnd);
    SendMessageW(AWnd, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(S.c_str()));
  }

  TCustomMemo* FMemo;
};

int TMemoStrings::GetCount() const
{
  if (!FMemo->HandleAllocated() && FMemo->GetTextLen() == 0)
    return 0;
  const HWND wnd = Window();
  int count = static_cast<int>(SendMessageW(wnd, EM_GETLINECOUNT, 0, 0));
  if (LineLength(wnd, LineStart(wnd, count - 1)) == 0)
    --count;
  return count;
}

// The whole line, however long: the platform's way of reading it copies at
// most 65,535 characters, so a longer line is taken from the window text.
String TMemoStrings::Get(int AIndex)
{
  const HWND wnd = Window();
  const int start = LineStart(wnd, AIndex);
  if (start < 0)
    return {};
  const int length = LineLength(wnd, start);
  if (length <= 0)
    return {};
  if (length >= kGetLineMax)
    return FMemo->GetText().substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
  String line(static_cast<std::size_t>(length) + 1, L'\0');
  line[0] = static_cast<wchar_t>(length + 1);
  const auto copied = SendMessageW(wnd, EM_GETLINE, AIndex, reinterpret_cast<LPARAM>(line.data()));
  line.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, length)));
  return line;
}

// The line's characters; its line break stays.
void TMemoStrings::Put(int AIndex, const String& S)
{
  const HWND wnd = Window();
  const int start = LineStart(wnd, AIndex);
  if (start >= 0)
    Replace(wnd, start, start + LineLength(wnd, start), S);
}

// Where line AIndex starts a line of the window, S and CR LF go in before
// it; past the last line, CR LF and S go at the end of the line before,
// unless that line is missing or empty.
void TMemoStrings::Insert(int AIndex, const String& S)
{
  if (AIndex < 0)
    return;
  const HWND wnd = Window();
  int position = LineStart(wnd, AIndex);
  String text;
  if (position >= 0) {
    text = S + L"\r\n";
  } else {
    position = LineStart(wnd, AIndex - 1);
    if (position < 0)
      return;
    const int length = LineLength(wnd, position);
    if (length == 0)
      return;
    position += length;
    text = S.empty() ? String(L"\r\n\r\n") : L"\r\n" + S;
  }
  Replace(wnd, position, position, text);
}

// The line and its line break; the last line has none to take.
void TMemoStrings::Delete(int AIndex)
{
  const HWND wnd = Window();
  const int start = LineStart(wnd, AIndex);
  if (start < 0)
    return;
  int finish = LineStart(wnd, AIndex + 1);
  if (finish < 0)
    finish = start + LineLength(wnd, start);
  Replace(wnd, start, finish, String());
}

void TMemoStrings::SetTextStr(const String& AText)
{
  const String text = AdjustLineBreaks(AText);
  if (text == FMemo->GetText())
    return;
  if (SendMessageW(Window(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) == 0)
    throw rtl::EInvalidOperation(L"Text exceeds memo capacity");
  FMemo->Perform(CM_TEXTCHANGED, 0, 0);
}

void TMemoStrings::SetUpdateState(bool AUpdating)
{
  if (!FMemo->HandleAllocated())
    return;
  SendMessageW(FMemo->GetHandle(), WM_SETREDRAW, !AUpdating, 0);
  if (!AUpdating)
    FMemo->Refresh();
}

}  // namespace

// ---------------------------------------------------------------------------
// TCustomMemo

void TCustomMemo::Create(TComponent* AOwner)
{
  inherited::Create(AOwner);
  FControlStyle.Exclude(csFixedHeight);
  FWidth = 185;
  FHeight = 89;
  FWordWrap = true;
  FWantReturns = true;
  FLines = rtl::New<TMemoStrings>(this);
}

void TCustomMemo::Destroy()
{
  rtl::FreeAndNil(FLines);
  inherited::Destroy();
}

void TCustomMemo::CreateParams(TCreateParams& AParams)
{
  constexpr DWORD kScrollBars[] = {0, WS_HSCROLL, WS_VSCROLL, WS_HSCROLL | WS_VSCROLL};
  inherited::CreateParams(AParams);
  AParams.Style |= ES_MULTILINE | kScrollBars[FScrollBars];
  // A wrapping memo has no horizontal scrolling to do.
  if (FWordWrap)
    AParams.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
}

void TCustomMemo::SetLines(rtl::TStrings* AValue)
{
  FLines->Assign(AValue);
}

TPoint TCustomMemo::GetCaretPos()
{
  const HWND wnd = WindowOf(this);
  DWORD start = 0;
  DWORD caret = 0;
  Send(wnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&caret));
  const int line = static_cast<int>(Send(wnd, EM_LINEFROMCHAR, caret));
  return {static_cast<int>(caret) - static_cast<int>(Send(wnd, EM_LINEINDEX, line)), line};
}

void TCustomMemo::SetCaretPos(const TPoint& AValue)
{
  const HWND wnd = WindowOf(this);
  const auto position = Send(wnd, EM_LINEINDEX, AValue.y) + AValue.x;
  Send(wnd, EM_SETSEL, position, position);
}

void TCustomMemo::SetScrollBars(TScrollStyle AValue)
{
  if (FScrollBars == AValue)
    return;
  FScrollBars = AValue;
  RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool AValue)
{
  if (FWordWrap == AValue)
    return;
  FWordWrap = AValue;
  RecreateWnd();
}

void TCustomMemo::KeyPress(wchar_t& AKey)
{
  inherited::KeyPress(AKey);
  if (AKey == VK_RETURN && !FWantReturns)
    AKey = 0;
}

void TCustomMemo::WMGetDlgCode(TWMGetDlgCode& AMessage)
{
  InheritedMessage(this, AMessage);
  if (FWantTabs)
    AMessage.Result |= DLGC_WANTTAB;
  else
    AMessage.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
  if (!FWantReturns)
    AMessage.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
}

// ---------------------------------------------------------------------------
// TButtonControl

void TButtonControl::Create(TComponent* AOwner)
{
  inherited::Create(AOwner);
  // The native button captures the mouse and reports its own clicks.
  FControlStyle = {csSetCaption, csDoubleClicks};
}

void TButtonControl::SetWordWrap(bool AValue)
{
  if (FWordWrap == AValue)
    return;
  FWordWrap = AValue;
  RecreateWnd();
}

void TButtonControl::CreateParams(TCreateParams& AParams)
{
  inherited::CreateParams(AParams);
  if (FWordWrap)
    AParams.Style |= BS_MULTILINE;
}

void TButtonControl::ActionChange(TObject* ASender, bool ACheckDefaults)
{
  inherited::ActionChange(ASender, ACheckDefaults);
  if (rtl::Is<TCustomAction>(ASender) && (!ACheckDefaults || !GetChecked()))
    SetChecked(static_cast<TCustomAction*>(ASender)->GetChecked());
}

rtl::ClassOf<TControlActionLink> TButtonControl::GetActionLinkClass()
{
  return TControlActionLinkClass::Of<TButtonActionLink>();
}

// ---------------------------------------------------------------------------
// TButtonActionLink

void TButtonActionLink::AssignClient(TObject* AClient)
{
  inherited::AssignClient(rtl::As<TButtonControl>(AClient));
  FButton = static_cast<TButtonControl*>(AClient);
}

bool TButtonActionLink::IsCheckedLinked()
{
  return inherited::IsCheckedLinked() && FButton->GetChecked() == static_cast<TCustomAction*>(FAction)->GetChecked();
}

void TButtonActionLink::SetChecked(bool AValue)
{
  if (!IsCheckedLinked())
    return;
  FButton->SetClicksDisabled(true);
  rtl::Finally enable([this] { FButton->SetClicksDisabled(false); });
  FButton->SetChecked(AValue);
}

// ---------------------------------------------------------------------------
// TCustomButton

namespace {

// BS_ kinds by TButtonStyle: the plain one and the default one.
constexpr std::array<std::array<DWORD, 2>, 3> kButtonKinds{{
    {BS_PUSHBUTTON, BS_DEFPUSHBUTTON},
    {0x0E /* BS_COMMANDLINK */, 0x0F /* BS_DEFCOMMANDLINK */},
    {0x0C /* BS_SPLITBUTTON */, 0x0D /* BS_DEFSPLITBUTTON */},
}};

}  // namespace

void TCustomButton::Create(TComponent* AOwner)
{
  inherited::Create(AOwner);
  FWidth = 75;
  FHeight = 25;
  SetTabStop(true);
}

void TCustomButton::CreateParams(TCreateParams& AParams)
{
  inherited::CreateParams(AParams);
  CreateSubClass(AParams, L"BUTTON");
  AParams.Style |= kButtonKinds[FStyle][FDefault];
}

void TCustomButton::CreateWnd()
{
  inherited::CreateWnd();
  FActive = FDefault;
}

// A modal form's loop ends on the result the button hands it; a button
// without one sets mrNone, which keeps the form open.
void TCustomButton::Click()
{
  if (TCustomForm* form = GetParentForm(this))
    form->SetModalResult(FModalResult);
  inherited::Click();
}

// An owner-drawn button keeps its kind (BM_SETSTYLE would make it a plain
// push button again) and shows the default state in its own painting.
void TCustomButton::SetButtonStyle(bool ADefault)
{
  if (!HandleAllocated())
    return;
  const DWORD kind = static_cast<DWORD>(GetWindowLongW(FHandle, GWL_STYLE)) & BS_TYPEMASK;
  if (kind == BS_OWNERDRAW) {
    Invalidate();
    return;
  }
  const DWORD wanted = kButtonKinds[FStyle][ADefault];
  if (kind != wanted)
    Perform(BM_SETSTYLE, wanted, 1);
}

void TCustomButton::SetDefault(bool AValue)
{
  if (FDefault == AValue)
    return;
  FDefault = AValue;
  if (!HandleAllocated())
    return;
  // Every button of the window learns again which one is active.
  TWinControl* top = this;
  while (top->GetParent())
    top = top->GetParent();
  top->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(top->GetFocusedControl()));
}

void TCustomButton::SetStyle(TButtonStyle AValue)
{
  if (FStyle == AValue)
    return;
  FStyle = AValue;
  RecreateWnd();
}

void TCustomButton::CNCommand(TWMCommand& AMessage)
{
  if (AMessage.NotifyCode == BN_CLICKED)
    Click();
}

// Enter clicks the active button, Esc the cancel button, neither with a
// shift key held.
void TCustomButton::CMDialogKey(TCMDialogKey& AMessage)
{
  const bool isMine = (AMessage.CharCode == VK_RETURN && FActive) || (AMessage.CharCode == VK_ESCAPE && FCancel);
  if (isMine && KeyDataToShiftState(AMessage.KeyData) == TShiftState{} && CanFocus()) {
    Click();
    AMessage.Result = 1;
    return;
  }
  InheritedMessage(this, AMessage);
}

// The caption's accelerator clicks the button.
void TCustomButton::CMDialogChar(TCMDialogChar& AMessage)
{
  const wchar_t accel = AccelChar(GetText());
  if (accel != 0 && accel == UpperChar(static_cast<wchar_t>(AMessage.CharCode)) && CanFocus()) {
    Click();
    AMessage.Result = 1;
    return;
  }
  InheritedMessage(this, AMessage);
}

// The focused button is the active one; while the focus is on another kind
// of control, the default button is.
void TCustomButton::CMFocusChanged(TCMFocusChanged& AMessage)
{
  if (AMessage.Sender && rtl::Is<TCustomButton>(AMessage.Sender))
    FActive = AMessage.Sender == this;
  else
    FActive = FDefault;
  SetButtonStyle(FActive);
  InheritedMessage(this, AMessage);
}

// ---------------------------------------------------------------------------
// The list box's item list

// The items of a list box: the window's while it has one, else the ones the
// control keeps for its next window.
class TListBoxStrings : public rtl::TStrings {
  RTL_CLASS(TListBoxStrings, rtl::TStrings)

 public:
  void Create(TCustomListBox* AListBox) { FListBox = AListBox; }

  int GetCount() const override;
  int Add(const String& S) override;
  void Clear() override;
  void Delete(int AIndex) override;
  void Insert(int AIndex, const String& S) override;
  int IndexOf(const String& S) override;

 protected:
  String Get(int AIndex) override;
  void Put(int AIndex, const String& S) override;
  TObject* GetObject(int AIndex) override;
  void PutObject(int AIndex, TObject* AObject) override;
  void SetUpdateState(bool AUpdating) override;

 private:
  HWND Window() const { return FListBox->HandleAllocated() ? FListBox->GetHandle() : nullptr; }
  std::vector<TCustomListBox::TSavedItem>& Saved() const { return FListBox->FSaveItems; }
  void CheckSavedIndex(int AIndex) const
  {
    if (AIndex < 0 || AIndex >= static_cast<int>(Saved().size()))
      rtl::ListIndexError(AIndex);
  }
  // Without a window the kept item index stays on its item, as the window's
  // selection would: an item put in before it moves it on, its own removal
  // clears it.
  void SavedInserted(int AIndex) const
  {
    if (FListBox->FSaveItemIndex >= AIndex)
      ++FListBox->FSaveItemIndex;
  }
  void SavedDeleted(int AIndex) const
  {
    int& itemIndex = FListBox->FSaveItemIndex;
    if (itemIndex == AIndex)
      itemIndex = -1;
    else if (itemIndex > AIndex)
      --itemIndex;
  }

  TCustomListBox* FListBox;
};

int TListBoxStrings::GetCount() const
{
  // The count a virtual list was told, also while its window is still the
  // one of an earlier style.
  if (FListBox->IsVirtual())
    return FListBox->FSaveCount;
  const HWND wnd = Window();
  return wnd ? static_cast<int>(SendMessageW(wnd, LB_GETCOUNT, 0, 0)) : static_cast<int>(Saved().size());
}

String TListBoxStrings::Get(int AIndex)
{
  // A virtual list's window holds no text.
  if (FListBox->IsVirtual())
    return FListBox->GetItemText(AIndex);
  const HWND wnd = Window();
  if (!wnd) {
    CheckSavedIndex(AIndex);
    return Saved()[static_cast<std::size_t>(AIndex)].Text;
  }
  const auto length = SendMessageW(wnd, LB_GETTEXTLEN, AIndex, 0);
  if (length == LB_ERR)
    rtl::ListIndexError(AIndex);
  String text(static_cast<std::size_t>(length) + 1, L'\0');
  const auto copied = SendMessageW(wnd, LB_GETTEXT, AIndex, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, length)));
  return text;
}

// The item keeps its place, its object and the selection.
void TListBoxStrings::Put(int AIndex, const String& S)
{
  const int itemIndex = FListBox->GetItemIndex();
  inherited::Put(AIndex, S);
  FListBox->SetItemIndex(itemIndex);
}

TObject* TListBoxStrings::GetObject(int AIndex)
{
  if (FListBox->IsVirtual())
    return FListBox->GetItemObject(AIndex);
  const HWND wnd = Window();
  if (!wnd) {
    CheckSavedIndex(AIndex);
    return Saved()[static_cast<std::size_t>(AIndex)].Object;
  }
  const auto data = SendMessageW(wnd, LB_GETITEMDATA, AIndex, 0);
  if (data == LB_ERR)
    rtl::ListIndexError(AIndex);
  return reinterpret_cast<TObject*>(data);
}

void TListBoxStrings::PutObject(int AIndex, TObject* AObject)
{
  const HWND wnd = Window();
  if (!wnd) {
    CheckSavedIndex(AIndex);
    Saved()[static_cast<std::size_t>(AIndex)].Object = AObject;
    return;
  }
  if (SendMessageW(wnd, LB_SETITEMDATA, AIndex, reinterpret_cast<LPARAM>(AObject)) == LB_ERR)
    rtl::ListIndexError(AIndex);
}

// A sorted list places the item by the user's locale, ignoring case, as
// the window does.
int TListBoxStrings::Add(const String& S)
{
  const HWND wnd = Window();
  if (wnd) {
    const auto index = SendMessageW(wnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(S.c_str()));
    if (index < 0)
      throw EOutOfResources(L"Unable to insert a line");
    return static_cast<int>(index);
  }
  auto& saved = Saved();
  auto at = saved.end();
  if (FListBox->GetSorted())
    at = std::upper_bound(saved.begin(), saved.end(), S, [](const String& A, const TCustomListBox::TSavedItem& B) {
      return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, A.c_str(), -1, B.Text.c_str(), -1) ==
             CSTR_LESS_THAN;
    });
  const int index = static_cast<int>(std::distance(saved.begin(), saved.insert(at, {S, nullptr})));
  SavedInserted(index);
  return index;
}

void TListBoxStrings::Insert(int AIndex, const String& S)
{
  const HWND wnd = Window();
  if (wnd) {
    if (SendMessageW(wnd, LB_INSERTSTRING, AIndex, reinterpret_cast<LPARAM>(S.c_str())) < 0)
      throw EOutOfResources(L"Unable to insert a line");
    return;
  }
  if (AIndex < 0 || AIndex > GetCount())
    rtl::ListIndexError(AIndex);
  Saved().insert(Saved().begin() + AIndex, {S, nullptr});
  SavedInserted(AIndex);
}

void TListBoxStrings::Delete(int AIndex)
{
  const HWND wnd = Window();
  if (wnd) {
    SendMessageW(wnd, LB_DELETESTRING, AIndex, 0);
    return;
  }
  CheckSavedIndex(AIndex);
  Saved().erase(Saved().begin() + AIndex);
  SavedDeleted(AIndex);
}

void TListBoxStrings::Clear()
{
  if (const HWND wnd = Window())
    SendMessageW(wnd, LB_RESETCONTENT, 0, 0);
  Saved().clear();
  FListBox->FSaveItemIndex = -1;
  FListBox->FSaveTopIndex = 0;
}

int TListBoxStrings::IndexOf(const String& S)
{
  const HWND wnd = Window();
  if (!wnd)
    return inherited::IndexOf(S);
  const auto index = SendMessageW(wnd, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(S.c_str()));
  return index == LB_ERR ? -1 : static_cast<int>(index);
}

void TListBoxStrings::SetUpdateState(bool AUpdating)
{
  const HWND wnd = Window();
  if (!wnd)
    return;
  SendMessageW(wnd, WM_SETREDRAW, !AUpdating, 0);
  if (!AUpdating)
    FListBox->Refresh();
}

// ---------------------------------------------------------------------------
// TCustomListBox

void TCustomListBox::Create(TComponent* AOwner)
{
  inherited::Create(AOwner);
  FControlStyle = {csSetCaption, csDoubleClicks, csOpaque};
  FWidth = 121;
  FHeight = 97;
  SetTabStop(true);
  FParentColor = false;
  FColor = clWindow;
  GetBrush()->SetColor(clWindow);
  FBorderStyle = bsSingle;
  FExtendedSelect = true;
  FItemHeight = 16;
  FSaveItemIndex = -1;
  FItems = rtl::New<TListBoxStrings>(this);
  FCanvas = rtl::New<TControlCanvas>();
  FCanvas->SetControl(this);
}

void TCustomListBox::Destroy()
{
  inherited::Destroy();
  rtl::FreeAndNil(FCanvas);
  rtl::FreeAndNil(FItems);
}

void TCustomListBox::CreateParams(TCreateParams& AParams)
{
  // A virtual list is drawn by the control from OnData: the window keeps
  // only the count.
  constexpr DWORD kStyles[] = {LBS_HASSTRINGS, LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                               LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS, LBS_OWNERDRAWFIXED | LBS_NODATA,
                               LBS_OWNERDRAWFIXED | LBS_NODATA};
  inherited::CreateParams(AParams);
  CreateSubClass(AParams, L"LISTBOX");
  AParams.Style |= WS_HSCROLL | WS_VSCROLL | LBS_NOTIFY | kStyles[FStyle];
  if (FSorted && !IsVirtual())
    AParams.Style |= LBS_SORT;
  if (FColumns > 0)
    AParams.Style |= LBS_MULTICOLUMN;
  if (FTabWidth > 0)
    AParams.Style |= LBS_USETABSTOPS;
  if (FMultiSelect)
    AParams.Style |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
  if (!FIntegralHeight)
    AParams.Style |= LBS_NOINTEGRALHEIGHT;
  if (FBorderStyle == bsSingle)
    AParams.ExStyle |= WS_EX_CLIENTEDGE;
  AParams.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

// The kept items go into the new window. A fixed owner-drawn list is told
// its item height here: the WM_MEASUREITEM the window sends while it is
// being made carries no id yet that would lead back to the control.
void TCustomListBox::CreateWnd()
{
  inherited::CreateWnd();
  if (FStyle == lbVirtual) {
    // Drawn like a standard list: rows as high as the font's text.
    FCanvas->SetFont(GetFont());
    Perform(LB_SETITEMHEIGHT, 0, FCanvas->TextHeight(L"Wg"));
  } else if (FStyle != lbStandard && FStyle != lbOwnerDrawVariable) {
    Perform(LB_SETITEMHEIGHT, 0, FItemHeight);
  }
  if (FTabWidth > 0) {
    UINT tabStop = static_cast<UINT>(FTabWidth);
    Perform(LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
  }
  ApplyColumnWidth();
  if (FScrollWidth > 0)
    Perform(LB_SETHORIZONTALEXTENT, FScrollWidth, 0);
  // A virtual list holds no items: kept ones do not survive the style.
  if (IsVirtual()) {
    FSaveItems.clear();
    Perform(LB_SETCOUNT, FSaveCount, 0);
  }
  std::vector<TSavedItem> saved = std::move(FSaveItems);
  FSaveItems.clear();
  for (const TSavedItem& item : saved) {
    const auto index = Perform(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.Text.c_str()));
    if (index >= 0)
      Perform(LB_SETITEMDATA, index, reinterpret_cast<LPARAM>(item.Object));
  }
  SetTopIndex(FSaveTopIndex);
  SetItemIndex(FSaveItemIndex);
}

void TCustomListBox::DestroyWnd()
{
  FScrollWidth = GetScrollWidth();
  // The window's style, not the property: the property has already changed
  // when a new style re-creates the window.
  if ((GetWindowLongW(GetHandle(), GWL_STYLE) & LBS_NODATA) != 0) {
    FSaveItemIndex = GetItemIndex();
    FSaveTopIndex = GetTopIndex();
    inherited::DestroyWnd();
    return;
  }
  std::vector<TSavedItem> saved;
  const int count = FItems->GetCount();
  saved.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i)
    saved.push_back({FItems->GetStrings(i), FItems->GetObjects(i)});
  FSaveItemIndex = GetItemIndex();
  FSaveTopIndex = GetTopIndex();
  inherited::DestroyWnd();
  FSaveItems = std::move(saved);
}

void TCustomListBox::SetItems(rtl::TStrings* AValue)
{
  FItems->Assign(AValue);
}

int TCustomListBox::GetCount() const
{
  return FItems->GetCount();
}

void TCustomListBox::SetCount(int AValue)
{
  if (!IsVirtual())
    return;
  FSaveCount = std::max(AValue, 0);
  if (HandleAllocated())
    Perform(LB_SETCOUNT, FSaveCount, 0);
}

String TCustomListBox::GetItemText(int AIndex)
{
  if (!IsVirtual())
    return FItems->GetStrings(AIndex);
  String text;
  if (FOnData && AIndex >= 0 && AIndex < GetCount())
    FOnData(this, AIndex, text);
  return text;
}

TObject* TCustomListBox::GetItemObject(int AIndex)
{
  if (!IsVirtual())
    return FItems->GetObjects(AIndex);
  TObject* object = nullptr;
  if (FOnDataObject && AIndex >= 0 && AIndex < GetCount())
    FOnDataObject(this, AIndex, object);
  return object;
}

int TCustomListBox::FindItem(const String& AText)
{
  if (!IsVirtual())
    return FItems->IndexOf(AText);
  return FOnDataFind ? FOnDataFind(this, AText) : -1;
}

void TCustomListBox::SetColumns(int AValue)
{
  AValue = std::max(AValue, 0);
  if (FColumns == AValue)
    return;
  // Only the change between one column and several changes the window's
  // style.
  const bool recreate = (FColumns == 0) != (AValue == 0);
  FColumns = AValue;
  if (recreate)
    RecreateWnd();
  else
    ApplyColumnWidth();
}

void TCustomListBox::ApplyColumnWidth()
{
  if (FColumns > 0 && HandleAllocated())
    Perform(LB_SETCOLUMNWIDTH, std::max((GetWidth() + FColumns - 3) / FColumns, 1), 0);
}

void TCustomListBox::Resize()
{
  inherited::Resize();
  ApplyColumnWidth();
}

int TCustomListBox::GetScrollWidth()
{
  if (!HandleAllocated())
    return FScrollWidth;
  return static_cast<int>(Perform(LB_GETHORIZONTALEXTENT, 0, 0));
}

void TCustomListBox::SetScrollWidth(int AValue)
{
  FScrollWidth = std::max(AValue, 0);
  if (HandleAllocated())
    Perform(LB_SETHORIZONTALEXTENT, FScrollWidth, 0);
}

void TCustomListBox::SetTabWidth(int AValue)
{
  AValue = std::max(AValue, 0);
  if (FTabWidth == AValue)
    return;
  FTabWidth = AValue;
  RecreateWnd();
}

int TCustomListBox::GetItemIndex()
{
  if (!HandleAllocated())
    return FSaveItemIndex;
  return static_cast<int>(Perform(FMultiSelect ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int AValue)
{
  if (!HandleAllocated()) {
    FSaveItemIndex = AValue;
    return;
  }
  if (GetItemIndex() == AValue)
    return;
  if (FMultiSelect)
    Perform(LB_SETCARETINDEX, AValue, 0);
  else
    Perform(LB_SETCURSEL, AValue, 0);
}

bool TCustomListBox::GetSelected(int AIndex)
{
  if (!HandleAllocated())
    return !FMultiSelect && AIndex == FSaveItemIndex;
  const auto selected = Perform(LB_GETSEL, AIndex, 0);
  if (selected == LB_ERR)
    rtl::ListIndexError(AIndex);
  return selected > 0;
}

void TCustomListBox::SetSelected(int AIndex, bool AValue)
{
  if (FMultiSelect) {
    if (Send(WindowOf(this), LB_SETSEL, AValue, AIndex) == LB_ERR)
      rtl::ListIndexError(AIndex);
  } else if (AValue) {
    SetItemIndex(AIndex);
  } else if (GetItemIndex() == AIndex) {
    SetItemIndex(-1);
  }
}

int TCustomListBox::GetSelCount()
{
  if (!FMultiSelect)
    return -1;
  return HandleAllocated() ? static_cast<int>(Perform(LB_GETSELCOUNT, 0, 0)) : 0;
}

void TCustomListBox::SelectAll()
{
  if (FMultiSelect)
    Send(WindowOf(this), LB_SETSEL, TRUE, -1);
}

void TCustomListBox::ClearSelection()
{
  if (FMultiSelect)
    Send(WindowOf(this), LB_SETSEL, FALSE, -1);
  else
    SetItemIndex(-1);
}

void TCustomListBox::Clear()
{
  FItems->Clear();
}

int TCustomListBox::GetTopIndex()
{
  return HandleAllocated() ? static_cast<int>(Perform(LB_GETTOPINDEX, 0, 0)) : FSaveTopIndex;
}

void TCustomListBox::SetTopIndex(int AValue)
{
  if (!HandleAllocated())
    FSaveTopIndex = AValue;
  else if (GetTopIndex() != AValue)
    Perform(LB_SETTOPINDEX, AValue, 0);
}

int TCustomListBox::ItemAtPos(const TPoint& APos, bool AExisting)
{
  const TRect client = GetClientRect();
  if (HandleAllocated() && PtInRect(&client, APos)) {
    const int count = GetCount();
    for (int i = GetTopIndex(); i < count; ++i) {
      const TRect item = ItemRect(i);
      if (item.top >= client.bottom)
        break;
      if (PtInRect(&item, APos))
        return i;
    }
  }
  return AExisting ? -1 : GetCount();
}

TRect TCustomListBox::ItemRect(int AIndex)
{
  TRect result{};
  Send(WindowOf(this), LB_GETITEMRECT, AIndex, reinterpret_cast<LPARAM>(&result));
  return result;
}

void TCustomListBox::SetStyle(TListBoxStyle AValue)
{
  if (FStyle == AValue)
    return;
  FStyle = AValue;
  RecreateWnd();
}

int TCustomListBox::GetItemHeight()
{
  if ((FStyle == lbStandard || FStyle == lbVirtual) && HandleAllocated())
    return static_cast<int>(Perform(LB_GETITEMHEIGHT, 0, 0));
  return FItemHeight;
}

void TCustomListBox::SetItemHeight(int AValue)
{
  if (AValue <= 0 || FItemHeight == AValue)
    return;
  FItemHeight = AValue;
  if ((FStyle == lbOwnerDrawFixed || FStyle == lbVirtualOwnerDraw) && HandleAllocated()) {
    Perform(LB_SETITEMHEIGHT, 0, AValue);
    Invalidate();
  }
}

void TCustomListBox::SetMultiSelect(bool AValue)
{
  if (FMultiSelect == AValue)
    return;
  FMultiSelect = AValue;
  RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool AValue)
{
  if (FExtendedSelect == AValue)
    return;
  FExtendedSelect = AValue;
  RecreateWnd();
}

void TCustomListBox::SetSorted(bool AValue)
{
  if (FSorted == AValue)
    return;
  FSorted = AValue;
  RecreateWnd();
}

void TCustomListBox::SetIntegralHeight(bool AValue)
{
  if (FIntegralHeight == AValue)
    return;
  FIntegralHeight = AValue;
  RecreateWnd();
}

void TCustomListBox::SetBorderStyle(TBorderStyle AValue)
{
  if (FBorderStyle == AValue)
    return;
  FBorderStyle = AValue;
  RecreateWnd();
}

void TCustomListBox::DrawItem(int AIndex, const TRect& ARect, TOwnerDrawState AState)
{
  if (FOnDrawItem) {
    FOnDrawItem(this, AIndex, ARect, AState);
    return;
  }
  FCanvas->FillRect(ARect);
  if (AIndex < GetCount())
    FCanvas->TextOut(ARect.left + 2, ARect.top, GetItemText(AIndex));
}

void TCustomListBox::MeasureItem(int AIndex, int& AHeight)
{
  if (FOnMeasureItem)
    FOnMeasureItem(this, AIndex, AHeight);
}

void TCustomListBox::CNCommand(TWMCommand& AMessage)
{
  switch (AMessage.NotifyCode) {
    case LBN_SELCHANGE:
      Click();
      break;
    case LBN_DBLCLK:
      DblClick();
      break;
    default:
      break;
  }
}

// The canvas draws on the item's DC in the control's font and colour, the
// selection in the highlight colours; the focus rectangle comes last.
void TCustomListBox::CNDrawItem(TWMDrawItem& AMessage)
{
  DRAWITEMSTRUCT& item = *AMessage.DrawItemStruct;
  const TOwnerDrawState state = TOwnerDrawState::FromOrd(LOWORD(item.itemState));
  const int index = static_cast<int>(item.itemID);
  FCanvas->SetHandle(item.hDC);
  rtl::Finally release([this] { FCanvas->SetHandle(nullptr); });
  FCanvas->SetFont(GetFont());
  FCanvas->SetBrush(GetBrush());
  if (index >= 0 && state.Contains(odSelected)) {
    FCanvas->GetBrush()->SetColor(clHighlight);
    FCanvas->GetFont()->SetColor(clHighlightText);
  }
  if (index >= 0)
    DrawItem(index, item.rcItem, state);
  else
    FCanvas->FillRect(item.rcItem);
  if (state.Contains(odFocused))
    DrawFocusRect(item.hDC, &item.rcItem);
  AMessage.Result = TRUE;
}

void TCustomListBox::CNMeasureItem(TWMMeasureItem& AMessage)
{
  MEASUREITEMSTRUCT& item = *AMessage.MeasureItemStruct;
  int height = FItemHeight;
  if (FStyle == lbOwnerDrawVariable)
    MeasureItem(static_cast<int>(item.itemID), height);
  item.itemHeight = static_cast<UINT>(std::max(height, 1));
  AMessage.Result = TRUE;
}

// ---------------------------------------------------------------------------
// TCustomLabel

void TCustomLabel::Create(TComponent* AOwner)
{
  inherited::Create(AOwner);
  FControlStyle.Include(csOpaque);
  FControlStyle.Include(csReplicatable);
  FWidth = 65;
  FHeight = 17;
  FAutoSize = true;
  FShowAccelChar = true;
}

void TCustomLabel::SetAlignment(rtl::TAlignment AValue)
{
  if (FAlignment == AValue)
    return;
  FAlignment = AValue;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout AValue)
{
  if (FLayout == AValue)
    return;
  FLayout = AValue;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool AValue)
{
  if (FWordWrap == AValue)
    return;
  FWordWrap = AValue;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool AValue)
{
  if (GetTransparent() == AValue)
    return;
  if (AValue)
    FControlStyle.Exclude(csOpaque);
  else
    FControlStyle.Include(csOpaque);
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool AValue)
{
  if (FShowAccelChar == AValue)
    return;
  FShowAccelChar = AValue;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* AValue)
{
  if (FFocusControl == AValue)
    return;
  if (FFocusControl)
    FFocusControl->RemoveFreeNotification(this);
  FFocusControl = AValue;
  if (AValue)
    AValue->FreeNotification(this);
}

void TCustomLabel::SetAutoSize(bool AValue)
{
  if (GetAutoSize() == AValue)
    return;
  inherited::SetAutoSize(AValue);
  AdjustBounds();
}

void TCustomLabel::Notification(TComponent* AComponent, rtl::TOperation AOperation)
{
  inherited::Notification(AComponent, AOperation);
  if (AOperation == opRemove && AComponent == FFocusControl)
    FFocusControl = nullptr;
}

void TCustomLabel::Loaded()
{
  inherited::Loaded();
  AdjustBounds();
}

void TCustomLabel::DoDrawText(HDC ADC, TRect& ARect, UINT AFlags)
{
  String text = GetText();
  // An empty caption still has the height of a line.
  if ((AFlags & DT_CALCRECT) != 0 && (text.empty() || (FShowAccelChar && text == L"&")))
    text += L' ';
  if (!FShowAccelChar)
    AFlags |= DT_NOPREFIX;
  const TSaveDCGuard saved(ADC);
  SelectObject(ADC, GetFont()->GetHandle());
  SetBkMode(ADC, TRANSPARENT);
  const int length = static_cast<int>(text.size());
  if (!GetEnabled() && (AFlags & DT_CALCRECT) == 0) {
    TRect shifted = ARect;
    OffsetRect(&shifted, 1, 1);
    SetTextColor(ADC, static_cast<COLORREF>(ColorToRGB(clBtnHighlight)));
    DrawTextW(ADC, text.c_str(), length, &shifted, AFlags);
    SetTextColor(ADC, static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
  } else {
    SetTextColor(ADC, static_cast<COLORREF>(ColorToRGB(GetFont()->GetColor())));
  }
  DrawTextW(ADC, text.c_str(), length, &ARect, AFlags);
}

void TCustomLabel::Paint()
{
  constexpr UINT kAlignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  TCanvas* canvas = GetCanvas();
  const TRect client = GetClientRect();
  if (!GetTransparent()) {
    canvas->GetBrush()->SetColor(GetColor());
    canvas->GetBrush()->SetStyle(bsSolid);
    canvas->FillRect(client);
  }
  const UINT flags = DT_EXPANDTABS | kAlignments[FAlignment] | (FWordWrap ? DT_WORDBREAK : 0);
  TRect rect = client;
  if (FLayout != tlTop) {
    TRect measured = client;
    DoDrawText(canvas->GetHandle(), measured, flags | DT_CALCRECT);
    const int height = measured.bottom - measured.top;
    const int free = (client.bottom - client.top) - height;
    OffsetRect(&rect, 0, FLayout == tlBottom ? free : free / 2);
    rect.bottom = rect.top + height;
  }
  DoDrawText(canvas->GetHandle(), rect, flags);
}

void TCustomLabel::AdjustBounds()
{
  if (GetComponentState().Contains(csReading) || GetComponentState().Contains(csLoading) ||
      !GetAutoSize())
    return;
  TRect rect{0, 0, FWordWrap ? FWidth : 0, 0};
  {
    const TScreenDC dc;
    DoDrawText(dc.Get(), rect, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0));
  }
  int left = FLeft;
  if (FAlignment == taRightJustify)
    left += FWidth - rect.right;
  SetBounds(left, FTop, rect.right, rect.bottom);
}

void TCustomLabel::CMTextChanged(TMessage& /*AMessage*/)
{
  Invalidate();
  AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& AMessage)
{
  InheritedMessage(this, AMessage);
  AdjustBounds();
}

// The accelerator of the caption focuses the control the label names.
void TCustomLabel::CMDialogChar(TCMDialogChar& AMessage)
{
  if (FFocusControl && GetEnabled() && FShowAccelChar) {
    const wchar_t accel = AccelChar(GetText());
    if (accel != 0 && accel == UpperChar(static_cast<wchar_t>(AMessage.CharCode)) && FFocusControl->CanFocus()) {
      FFocusControl->SetFocus();
      AMessage.Result = 1;
    }
  }
}

}  // namespace vcl
