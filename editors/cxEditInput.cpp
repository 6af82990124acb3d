// TcxCustomEdit and the user: keys, mouse, focus entering and leaving with
// validation and posting, clipboard commands, hints and accelerators, the
// messages the editor answers, auto size with anchors and the streaming of
// size and anchors.
#include "controls/cxWindowProcs.h"
#include "controls/cxWindowUtils.h"
#include "controls/dxMessages.h"
#include "editors/cxEdit.h"
#include "platform/rtl/ClassesThreads.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Forms.h"

namespace {

TShortCut cxEditShortCut(WORD AKey, vcl::TShiftState AShift)
{
  TShortCut AResult = AKey;
  if (AShift.Contains(vcl::TShiftStateItem::ssShift))
    AResult |= 0x2000;
  if (AShift.Contains(vcl::TShiftStateItem::ssCtrl))
    AResult |= 0x4000;
  if (AShift.Contains(vcl::TShiftStateItem::ssAlt))
    AResult |= 0x8000;
  return AResult;
}

bool cxEditIsNavigationKey(WORD AKey)
{
  return AKey >= VK_PRIOR && AKey <= VK_DOWN;
}

}  // namespace

// ---------------------------------------------------------------------------
// Keys

bool TcxCustomEdit::IsEditorKey(WORD AKey, vcl::TShiftState AShift)
{
  return IsDefaultButtonClickKey(cxEditShortCut(AKey, AShift));
}

bool TcxCustomEdit::IsDefaultButtonClickKey(TShortCut AShortCut)
{
  return AShortCut != 0 && AShortCut == GetActiveProperties()->GetClickKey() && GetDefaultButtonIndex() >= 0;
}

bool TcxCustomEdit::IsClearOrClickKey(WORD AKey, vcl::TShiftState AShift)
{
  const TShortCut AShortCut = cxEditShortCut(AKey, AShift);
  return (AShortCut != 0 && AShortCut == GetActiveProperties()->GetClearKey()) || IsDefaultButtonClickKey(AShortCut);
}

bool TcxCustomEdit::IsInsertOrDeleteKey(WORD AKey, vcl::TShiftState AShift)
{
  const bool AShiftDown = AShift.Contains(vcl::TShiftStateItem::ssShift);
  if (AKey == VK_INSERT)
    return !AShiftDown && !AShift.Contains(vcl::TShiftStateItem::ssCtrl);
  return AKey == VK_DELETE && !AShiftDown;
}

bool TcxCustomEdit::AcceptsKeyDown(WORD AKey, vcl::TShiftState AShift)
{
  return FDataBinding->GetModified() || !IsValueChangingKey(AKey, AShift) || DoEditing();
}

void TcxCustomEdit::DoAfterKeyDown(WORD& AKey, vcl::TShiftState AShift)
{
  if (!FOnAfterKeyDown)
    return;
  DisableUserAction();
  rtl::Finally AEnable([this] { EnableUserAction(); });
  FOnAfterKeyDown(this, AKey, AShift);
}

void TcxCustomEdit::KeyDown(WORD& AKey, vcl::TShiftState AShift)
{
  BeginUserAction();
  rtl::Finally AEnd([this] { EndUserAction(); });
  FIsKeyPressHandled = false;
  if (!IsEditorKey(AKey, AShift)) {
    DisableUserAction();
    rtl::Finally AEnable([this] { EnableUserAction(); });
    // The container's KeyDown would move the focus on Tab; the editor does
    // that itself below.
    inherited::KeyDown(AKey, AShift);
  }
  if (AKey != 0)
    ProcessKeyDown(AKey, AShift);
  if (AKey != 0 && IsInsertOrDeleteKey(AKey, AShift))
    DoAfterKeyDown(AKey, AShift);
  if (AKey != 0)
    if (IdxSpellChecker2* AHook = dxSpellCheckerKeyHook())
      AHook->KeyDown(AKey, AShift);
}

void TcxCustomEdit::ProcessKeyDown(WORD& AKey, vcl::TShiftState AShift)
{
  if (AKey == 0)
    return;
  const TShortCut AShortCut = cxEditShortCut(AKey, AShift);
  TcxCustomEditProperties* AProperties = GetActiveProperties();
  if (AShortCut == AProperties->GetClearKey()) {
    LockChangeEvents(true, true);
    rtl::Finally AUnlock([this] { LockChangeEvents(false, true); });
    {
      BeginUserAction();
      rtl::Finally AEnd([this] { EndUserAction(); });
      SetInternalEditValue(GetClearValue());
    }
    if (GetActiveProperties()->GetImmediatePost() && CanPostEditValue())
      DoPostEditValue(false);
    FIsEditValidated = true;
    AKey = 0;
    return;
  }
  if (IsDefaultButtonClickKey(AShortCut)) {
    // The character the key would produce must not reach the text.
    if (HandleAllocated())
      cxGetMessagesController()->KillMessages(GetHandle(), WM_CHAR, WM_CHAR, true);
    if (FInnerEdit && FInnerEdit->GetControl()->HandleAllocated())
      cxGetMessagesController()->KillMessages(FInnerEdit->GetControl()->GetHandle(), WM_CHAR, WM_CHAR, true);
    PressDefaultButton();
    AKey = 0;
    return;
  }
  if (!AcceptsKeyDown(AKey, AShift)) {
    DoAfterKeyDown(AKey, AShift);
    AKey = 0;
    return;
  }
  DisableUserAction();
  rtl::Finally AEnable([this] { EnableUserAction(); });
  switch (AKey) {
    case VK_TAB:
      if (Focused() && !AShift.Contains(vcl::TShiftStateItem::ssAlt) && !AShift.Contains(vcl::TShiftStateItem::ssCtrl) &&
          !AProperties->KeepsTabKey()) {
        {
          EnableUserAction();
          rtl::Finally ADisable([this] { DisableUserAction(); });
          HandleTabKey(AShift);
        }
        DoAfterKeyDown(AKey, AShift);
        if (AKey == 0)
          return;
        AKey = 0;
        FocusNextControl(!AShift.Contains(vcl::TShiftStateItem::ssShift));
        if (HandleAllocated() && GetFocus() == GetHandle() && FInnerEdit)
          FInnerEdit->SafelySetFocus();
      }
      break;
    case VK_RETURN:
      if (AProperties->GetValidateOnEnter()) {
        AKey = 0;
        DoValidateOnEnter();
      }
      break;
    case VK_ESCAPE:
      if (FModifiedAfterEnter && CanResetEditValue()) {
        {
          LockChangeEvents(true);
          rtl::Finally AUnlock([this] { LockChangeEvents(false); });
          FDataBinding->Reset();
          SetEditModified(true);
        }
        FIsKeyPressHandled = true;
        AKey = 0;
      }
      break;
    default:
      if (cxEditIsNavigationKey(AKey) && !HandlesNavigationKeys()) {
        DoAfterKeyDown(AKey, AShift);
        AKey = 0;
      }
      break;
  }
}

void TcxCustomEdit::FocusNextControl(bool AGoForward)
{
  vcl::TCustomForm* AForm = vcl::GetParentForm(this);
  if (!AForm)
    return;
  // The form's active control is usually the inner edit; a search from
  // there would find the editor itself (or its inner edit) again and leave
  // the focus where it is.
  vcl::TWinControl* ACurrent = AForm->GetActiveControl();
  if (!ACurrent || ACurrent == GetInnerControl())
    ACurrent = this;
  vcl::TWinControl* ANext = AForm->FindNextControl(ACurrent, AGoForward, true, false);
  for (int I = 0; ANext && (ANext == this || ContainsControl(ANext)) && I < 1000; ++I) {
    vcl::TWinControl* AFollowing = AForm->FindNextControl(ANext, AGoForward, true, false);
    ANext = AFollowing == ANext ? nullptr : AFollowing;
  }
  if (ANext && ANext != this && !ContainsControl(ANext))
    ANext->SetFocus();
}

void TcxCustomEdit::DoValidateOnEnter()
{
  LockChangeEvents(true);
  rtl::Finally AUnlock([this] { LockChangeEvents(false); });
  if (ValidateByOptions(false) && CanPostEditValue())
    DoPostEditValue(false);
}

void TcxCustomEdit::KeyPress(wchar_t& AKey)
{
  if (FIsKeyPressHandled) {
    FIsKeyPressHandled = false;
    AKey = 0;
    return;
  }
  inherited::KeyPress(AKey);
  if (AKey == 0)
    return;
  {
    BeginUserAction();
    rtl::Finally AEnd([this] { EndUserAction(); });
    ProcessKeyPress(AKey);
  }
  if (AKey != 0)
    if (IdxSpellChecker* AHook = dxSpellCheckerHook())
      AHook->KeyPress(AKey);
}

void TcxCustomEdit::ProcessKeyPress(wchar_t& AKey)
{
  HandleCharacter(AKey);
}

bool TcxCustomEdit::HandleCharacter(wchar_t& AKey)
{
  if (cxIsNonControlChar(AKey) && !AcceptsChar(AKey)) {
    AKey = 0;
    MessageBeep(0);
    return false;
  }
  if (IsValueChangingChar(AKey) && !DoEditing()) {
    AKey = 0;
    return false;
  }
  return true;
}

bool TcxCustomEdit::AcceptsChar(wchar_t AChar)
{
  IcxEditDefaultValuesProvider* AProvider = GetActiveProperties()->GetIDefaultValuesProvider();
  return !AProvider || AProvider->IsValidChar(AChar) || AProvider->IsOnSetTextAssigned();
}

void TcxCustomEdit::KeyUp(WORD& AKey, vcl::TShiftState AShift)
{
  inherited::KeyUp(AKey, AShift);
  if (AKey != 0)
    DoEditKeyUp(AKey, AShift);
  if (AKey != 0)
    if (IdxSpellChecker2* AHook = dxSpellCheckerKeyHook())
      AHook->KeyUp(AKey, AShift);
}

bool TcxCustomEdit::DoMouseWheel(vcl::TShiftState AShift, int AWheelDelta, TPoint AMousePos)
{
  BeginUserAction();
  rtl::Finally AEnd([this] { EndUserAction(); });
  return inherited::DoMouseWheel(AShift, AWheelDelta, AMousePos);
}

bool TcxCustomEdit::CanHandleMouseWheel(vcl::TShiftState AShift)
{
  if (IsDesigning() || !Focused())
    return false;
  return !(IsInplace() && !GetActiveProperties()->GetUseMouseWheel() && !AShift.Contains(vcl::TShiftStateItem::ssCtrl));
}

// ---------------------------------------------------------------------------
// Mouse and clicks

void TcxCustomEdit::MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  if (AButton == vcl::TMouseButton::mbLeft && FDblClickTimer->GetEnabled()) {
    // The click that activated an in-place editor and this one make a
    // double click.
    FDblClickTimer->SetEnabled(false);
    if (GetButtonIndexAt({X, Y}) < 0)
      DblClick();
  }
  inherited::MouseDown(AButton, AShift, X, Y);
  if (AButton == vcl::TMouseButton::mbLeft && HandleAllocated() && GetCapture() == GetHandle())
    CaptureButtonAt({X, Y});
}

void TcxCustomEdit::Click()
{
  if (IsDestroying() || FClickLockCount > 0 || (IsLoading() && !AllowsClickWhileLoading()))
    return;
  inherited::Click();
}

void TcxCustomEdit::DblClick()
{
  const TPoint P = GetMouseClientPos();
  if (GetButtonIndexAt(P) < 0) {
    inherited::DblClick();
    return;
  }
  // A double click on a button is a second press of it.
  vcl::TShiftState AShift = vcl::KeyboardStateToShiftState();
  AShift.Include(vcl::TShiftStateItem::ssLeft);
  MouseDown(vcl::TMouseButton::mbLeft, AShift, P.x, P.y);
  Click();
}

void TcxCustomEdit::PressDefaultButton()
{
  const int AIndex = GetDefaultButtonIndex();
  if (AIndex >= 0)
    DoButtonClick(AIndex);
}

bool TcxCustomEdit::CanFocusOnClick(int X, int Y)
{
  return inherited::CanFocusOnClick(X, Y) && FNeedFocusOnClick;
}

// ---------------------------------------------------------------------------
// Focus

void TcxCustomEdit::DoEnter()
{
  if (IsDestroying())
    return;
  ProcessEnter();
  ShortRefreshContainer(false);
  if (IdxSpellChecker* AHook = dxSpellCheckerHook())
    AHook->CheckStart(GetInnerControl());
}

void TcxCustomEdit::ProcessEnter()
{
  PushModifiedState();
  rtl::Finally APop([this] {
    PopModifiedState();
    FModifiedAfterEnter = false;
  });
  if (!FValidateErrorProcessing) {
    inherited::DoEnter();
    if (RefreshesDisplayOnFocus())
      FDataBinding->UpdateDisplayValue();
  }
  if (GetActiveProperties()->IsResetEditClass())
    SavePrevEditValue(GetEditValue());
  if (RefreshesDisplayOnFocus())
    RefreshDisplayValue();
}

void TcxCustomEdit::SetFocusAndSelect()
{
  SetFocus();
  if (Focused())
    SelectAll();
}

void TcxCustomEdit::DoExit()
{
  DisableUserAction();
  rtl::Finally AEnable([this] { EnableUserAction(); });
  if (IdxSpellChecker* AHook = dxSpellCheckerHook())
    AHook->CheckFinish();
  try {
    ProcessExit(true);
  } catch (...) {
    // The focus is moving to another control, whose window procedure is
    // running: a failed validation has taken the focus back already and is
    // reported here, as the editor's, instead of unwinding through the
    // other control's focus handling.
    rtl::HandleCallbackException(this);
  }
}

void TcxCustomEdit::ProcessExit(bool ACallDoExit)
{
  if (IsDestroying() || FValidateErrorProcessing)
    return;
  PushModifiedState();
  FIsHiding = true;
  try {
    LockChangeEvents(true);
    rtl::Finally AUnlock([this] { LockChangeEvents(false); });
    ValidateByOptions(false);
    if (!IsInplace() && CanPostEditValue())
      DoPostEditValue(false);
  } catch (...) {
    // The editor keeps the focus and what the user typed.
    FIsHiding = false;
    PopModifiedState();
    throw;
  }
  if (RefreshesDisplayOnFocus())
    FDataBinding->UpdateDisplayValue();
  UpdateDrawValue();
  ShortRefreshContainer(false);
  PopModifiedState();
  if (ACallDoExit) {
    rtl::Finally AHidden([this] {
      SetModifiedAfterEnter(false);
      FIsHiding = false;
    });
    inherited::DoExit();
    return;
  }
  SetModifiedAfterEnter(false);
  FIsHiding = false;
}

void TcxCustomEdit::FocusChanged()
{
  if (IsDestroying() || FValidateErrorProcessing)
    return;
  // An editor of an inactive application does not count as focused.
  const bool AFocused = Focused() && GetActiveWindow() != nullptr;
  if (AFocused == FFocused)
    return;
  FFocused = AFocused;
  inherited::FocusChanged();
  if (FOnFocusChanged)
    FOnFocusChanged(this);
  DoFocusChanged();
}

void TcxCustomEdit::DoFocusChanged()
{
  UpdateDrawValue();
  vcl::TCustomForm* AForm = vcl::GetParentForm(this);
  if (!AForm || !AForm->IsModal() || AForm->GetVisible())
    return;
  const int AResult = AForm->GetModalResult();
  // The dialog is closing with a result: its value counts.
  if (AResult != vcl::mrNone && AResult != vcl::mrCancel)
    ValidateByOptions(false);
}

void TcxCustomEdit::FocusInnerControl()
{
  if (FInnerEdit)
    FInnerEdit->SafelySetFocus();
  else
    inherited::FocusInnerControl();
}

void TcxCustomEdit::CreateWnd()
{
  inherited::CreateWnd();
  if (FInnerEdit && Focused())
    FInnerEdit->SafelySetFocus();
}

// ---------------------------------------------------------------------------
// Clipboard and the inner control's messages

void TcxCustomEdit::DoCutToClipboard()
{
  if (IsReadOnly())
    return;
  const bool AUserAction = Focused();
  if (AUserAction)
    BeginUserAction();
  rtl::Finally AEnd([this, AUserAction] {
    if (AUserAction)
      EndUserAction();
  });
  if (DoEditing())
    CutToClipboard();
  else
    CopyToClipboard();
}

void TcxCustomEdit::DoPasteFromClipboard()
{
  if (IsReadOnly())
    return;
  LockChangeEvents(true);
  rtl::Finally AUnlock([this] { LockChangeEvents(false); });
  const bool AUserAction = Focused();
  if (AUserAction)
    BeginUserAction();
  rtl::Finally AEnd([this, AUserAction] {
    if (AUserAction)
      EndUserAction();
  });
  if (DoEditing())
    PasteFromClipboard();
}

void TcxCustomEdit::HandleWMCut(rtl::TMessage& /*Message*/)
{
  if (FDataBinding->GetIsDataAvailable())
    DoCutToClipboard();
}

void TcxCustomEdit::HandleWMCopy(rtl::TMessage& /*Message*/)
{
  CopyToClipboard();
}

void TcxCustomEdit::HandleWMPaste(rtl::TMessage& /*Message*/)
{
  if (FDataBinding->GetIsDataAvailable())
    DoPasteFromClipboard();
}

bool TcxCustomEdit::HandleInnerControlMessage(rtl::TMessage& Message)
{
  if (inherited::HandleInnerControlMessage(Message))
    return true;
  switch (Message.Msg) {
    case WM_CUT:
    case WM_PASTE:
      if (FInnerEdit && FInnerEdit->CanProcessClipboardMessages())
        return false;
      if (Message.Msg == WM_CUT)
        DoCutToClipboard();
      else
        DoPasteFromClipboard();
      return true;
    case WM_UNDO: {
      const bool AUserAction = Focused();
      if (AUserAction)
        BeginUserAction();
      rtl::Finally AEnd([this, AUserAction] {
        if (AUserAction)
          EndUserAction();
      });
      DoEditing();
      return false;
    }
    default:
      return false;
  }
}

bool TcxCustomEdit::InnerControlMenuHandler(rtl::TMessage& Message)
{
  if (inherited::InnerControlMenuHandler(Message))
    return true;
  if (Message.Msg != WM_CONTEXTMENU || !HandleAllocated())
    return false;
  SetFocus();
  Message.Result = SendMessageW(GetHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(GetHandle()), Message.LParam);
  return Message.Result != 0;
}

void TcxCustomEdit::HandleCMEnter(rtl::TMessage& Message)
{
  rtl::InheritedMessage(this, Message);
  if (FDataBinding->CanModify() && !GetActiveProperties()->GetReadOnly())
    SetInnerEditReadOnly(false);
}

void TcxCustomEdit::HandleCMShowingChanged(rtl::TMessage& Message)
{
  rtl::InheritedMessage(this, Message);
  if (IsShowing())
    UpdateInnerControlBounds();
}

void TcxCustomEdit::HandleDXMPostValue(rtl::TMessage& /*Message*/)
{
  if (IsBoundToDataStorage())
    ProcessExit(true);
}

// ---------------------------------------------------------------------------
// The inner edit's window procedure

void TcxCustomEdit::HookInnerEditWndProc()
{
  if (!FInnerEdit || FWindowProcObject)
    return;
  FWindowProcObject = cxGetWindowProcController()->Add(FInnerEdit->GetControl(),
                                                       rtl::TWndMethod::Bind<&TcxCustomEdit::InnerEditWndProc>(this));
}

void TcxCustomEdit::UnhookInnerEditWndProc()
{
  if (FWindowProcObject)
    cxGetWindowProcController()->Remove(FWindowProcObject);
}

void TcxCustomEdit::InnerEditWndProc(rtl::TMessage& Message)
{
  FWindowProcObject->DefaultProc(Message);
}

// ---------------------------------------------------------------------------
// Transparency and scale

bool TcxCustomEdit::HasOwnTransparency()
{
  return !IsInplace() && GetTransparent();
}

bool TcxCustomEdit::HasParentBackground()
{
  return UsesParentBackground() || HasOwnTransparency();
}

void TcxCustomEdit::TransparentChanged()
{
  inherited::TransparentChanged();
  vcl::TControlStyle AStyle = GetControlStyle();
  if (GetTransparent()) {
    AStyle.Include(vcl::TControlStyleItem::csParentBackground);
    AStyle.Exclude(vcl::TControlStyleItem::csOpaque);
  } else {
    AStyle.Include(vcl::TControlStyleItem::csOpaque);
    AStyle.Exclude(vcl::TControlStyleItem::csParentBackground);
  }
  SetControlStyle(AStyle);
  ShortRefreshContainer(false);
}

bool TcxCustomEdit::IsDoubleBuffered()
{
  return inherited::IsDoubleBuffered() || dxGetFader()->Contains(this);
}

void TcxCustomEdit::DoChangeScale(int M, int D, bool AIsDpiChange)
{
  if (M != D) {
    if (FAnchorScalingFlags.Contains(TcxEditAnchorScalingFlag::sfLeft) && FAnchorX != cxEditAnchorNotSet)
      FAnchorX = MulDiv(FAnchorX, M, D);
    if (FAnchorScalingFlags.Contains(TcxEditAnchorScalingFlag::sfTop) && FAnchorY != cxEditAnchorNotSet)
      FAnchorY = MulDiv(FAnchorY, M, D);
  }
  FAnchorScalingFlags = {};
  inherited::DoChangeScale(M, D, AIsDpiChange);
}

// ---------------------------------------------------------------------------
// Container answers

TcxEditStateColorKind TcxCustomEdit::GetDrawState()
{
  TcxEditStateColorKind AState = inherited::GetDrawState();
  if (AState != TcxEditStateColorKind::esckDisabled && GetActiveProperties()->GetReadOnly())
    AState = TcxEditStateColorKind::esckReadOnly;
  return AState;
}

TcxContainerStyleValues TcxCustomEdit::GetHiddenStyleValues()
{
  return {svButtonStyle, svButtonTransparency, svPopupBorderStyle, svGradientButtons, svGradient,
          svGradientDirection};
}

bool TcxCustomEdit::IsReadOnly()
{
  return GetActiveProperties()->GetReadOnly();
}

void TcxCustomEdit::RequestAlign()
{
  inherited::RequestAlign();
  ShortRefreshContainer(false);
}

// ---------------------------------------------------------------------------
// Auto size and anchors

void TcxCustomEdit::SetAutoSize(bool AValue)
{
  if (IsInplace() || AValue == GetAutoSize())
    return;
  FAutoWidth = AValue;
  FAutoHeight = AValue;
  ApplyAutoSizeChange(AValue);
}

void TcxCustomEdit::SetAutoHeight(bool AValue)
{
  if (IsInplace() || AValue == FAutoHeight)
    return;
  FAutoHeight = AValue;
  ApplyAutoSizeChange(AValue);
}

void TcxCustomEdit::SetAutoWidth(bool AValue)
{
  if (IsInplace() || AValue == FAutoWidth)
    return;
  FAutoWidth = AValue;
  ApplyAutoSizeChange(AValue);
}

void TcxCustomEdit::ApplyAutoSizeChange(bool AValue)
{
  AutoSizeChanged();
  if (!AValue)
    return;
  LockRefresh();
  rtl::Finally AUnlock([this] { UnlockRefresh(); });
  EnsureHandleForAutoSize();
  UpdateInnerControlBounds();
}

bool TcxCustomEdit::CanAutoSize()
{
  return !IsInplace() && GetAutoSize();
}

bool TcxCustomEdit::SupportsAutoWidth()
{
  return GetActiveProperties()->GetButtonsViewStyle() == TcxEditButtonsViewStyle::bvsButtonsAutoWidth;
}

bool TcxCustomEdit::CanAutoHeight()
{
  const vcl::TAnchors AAnchors = GetAnchors();
  return CanAutoSize() && SupportsAutoHeight() && FAutoHeight &&
         !(AAnchors.Contains(vcl::TAnchorKind::akTop) && AAnchors.Contains(vcl::TAnchorKind::akBottom));
}

bool TcxCustomEdit::CanAutoWidth()
{
  const vcl::TAnchors AAnchors = GetAnchors();
  return CanAutoSize() && SupportsAutoWidth() && FAutoWidth &&
         !(AAnchors.Contains(vcl::TAnchorKind::akLeft) && AAnchors.Contains(vcl::TAnchorKind::akRight));
}

bool TcxCustomEdit::UsesAnchors()
{
  return UsesAnchorX() || UsesAnchorY();
}

bool TcxCustomEdit::UsesAnchorX()
{
  return CanAutoWidth() && GetActiveProperties()->GetAlignment()->GetHorz() != rtl::TAlignment::taLeftJustify;
}

bool TcxCustomEdit::UsesAnchorY()
{
  return CanAutoHeight() && GetActiveProperties()->GetAlignment()->GetVert() != TcxEditVertAlignment::taTopJustify;
}

void TcxCustomEdit::UpdateAnchors()
{
  const rtl::TComponentState AState = GetComponentState();
  if (AState.Contains(rtl::TComponentStateFlag::csLoading) || AState.Contains(rtl::TComponentStateFlag::csReading))
    return;
  const int W = inherited::GetWidth();
  const int H = inherited::GetHeight();
  if (UsesAnchorX())
    FAnchorX = GetActiveProperties()->GetAlignment()->GetHorz() == rtl::TAlignment::taCenter
                   ? GetLeft() + W / 2 + W % 2
                   : GetLeft() + W;
  if (UsesAnchorY())
    FAnchorY = GetActiveProperties()->GetAlignment()->GetVert() == TcxEditVertAlignment::taVCenter
                   ? GetTop() + H / 2 + H % 2
                   : GetTop() + H;
}

TPoint TcxCustomEdit::CalculateAnchoredPosition(int AWidth, int AHeight)
{
  TPoint AResult{GetLeft(), GetTop()};
  // While the control is scaled its new bounds are the scaled ones, not an
  // auto-size result to move around the anchors.
  if (IsScaleChanging() || !UsesAnchors() || !CanAutoWidth() || UsesWordWrap())
    return AResult;
  if (FIsFirstSetSize)
    FIsFirstSetSize = false;
  else
    UpdateAnchors();
  TcxEditAlignment* AAlignment = GetActiveProperties()->GetAlignment();
  if (UsesAnchorX() && FAnchorX != cxEditAnchorNotSet)
    AResult.x = AAlignment->GetHorz() == rtl::TAlignment::taCenter ? FAnchorX - AWidth / 2 - AWidth % 2
                                                                     : FAnchorX - AWidth;
  if (UsesAnchorY() && FAnchorY != cxEditAnchorNotSet)
    AResult.y = AAlignment->GetVert() == TcxEditVertAlignment::taVCenter ? FAnchorY - AHeight / 2 - AHeight % 2
                                                                        : FAnchorY - AHeight;
  return AResult;
}

bool TcxCustomEdit::CanResize(int& ANewWidth, int& ANewHeight)
{
  const bool AResult = inherited::CanResize(ANewWidth, ANewHeight);
  if (AResult && !IsLoading())
    CalculateAutoSize(ANewWidth, ANewHeight);
  return AResult;
}

void TcxCustomEdit::AdjustInnerControlBounds()
{
  if (!HandleAllocated() || IsDestroying())
    return;
  int W = inherited::GetWidth();
  int H = inherited::GetHeight();
  CalculateAutoSize(W, H);
  const TPoint P = CalculateAnchoredPosition(W, H);
  SetBounds(P.x, P.y, W, H);
  AdjustInnerEditPosition();
}

TcxEditSizeProperties TcxCustomEdit::GetEditSizeProperties()
{
  return {-1, 1, -1};
}

// ---------------------------------------------------------------------------
// Streaming of size and anchors

void TcxCustomEdit::DefineProperties(rtl::TFiler* Filer)
{
  inherited::DefineProperties(Filer);
  auto* AAncestor = rtl::As<vcl::TControl>(Filer->GetAncestor());
  const bool AStoresHeight = !CanAutoSize() && (!AAncestor || AAncestor->GetHeight() != inherited::GetHeight());
  const bool AStoresWidth = !(CanAutoSize() && SupportsAutoWidth() && !UsesWordWrap()) &&
                            (!AAncestor || AAncestor->GetWidth() != inherited::GetWidth());
  Filer->DefineProperty(L"Height", rtl::TReaderProc::Bind<&TcxCustomEdit::ReadHeight>(this),
                        rtl::TWriterProc::Bind<&TcxCustomEdit::WriteHeight>(this), AStoresHeight);
  Filer->DefineProperty(L"Width", rtl::TReaderProc::Bind<&TcxCustomEdit::ReadWidth>(this),
                        rtl::TWriterProc::Bind<&TcxCustomEdit::WriteWidth>(this), AStoresWidth);
  Filer->DefineProperty(L"AnchorX", rtl::TReaderProc::Bind<&TcxCustomEdit::ReadAnchorX>(this),
                        rtl::TWriterProc::Bind<&TcxCustomEdit::WriteAnchorX>(this), UsesAnchorX());
  Filer->DefineProperty(L"AnchorY", rtl::TReaderProc::Bind<&TcxCustomEdit::ReadAnchorY>(this),
                        rtl::TWriterProc::Bind<&TcxCustomEdit::WriteAnchorY>(this), UsesAnchorY());
}

void TcxCustomEdit::ReadHeight(rtl::TReader* AReader)
{
  SetHeight(AReader->ReadInteger());
}

void TcxCustomEdit::WriteHeight(rtl::TWriter* AWriter)
{
  AWriter->WriteInteger(inherited::GetHeight());
}

void TcxCustomEdit::ReadWidth(rtl::TReader* AReader)
{
  SetWidth(AReader->ReadInteger());
}

void TcxCustomEdit::WriteWidth(rtl::TWriter* AWriter)
{
  AWriter->WriteInteger(inherited::GetWidth());
}

void TcxCustomEdit::ReadAnchorX(rtl::TReader* AReader)
{
  FAnchorX = AReader->ReadInteger();
  FAnchorScalingFlags.Include(TcxEditAnchorScalingFlag::sfLeft);
}

void TcxCustomEdit::WriteAnchorX(rtl::TWriter* AWriter)
{
  UpdateAnchors();
  AWriter->WriteInteger(FAnchorX);
}

void TcxCustomEdit::ReadAnchorY(rtl::TReader* AReader)
{
  FAnchorY = AReader->ReadInteger();
  FAnchorScalingFlags.Include(TcxEditAnchorScalingFlag::sfTop);
}

void TcxCustomEdit::WriteAnchorY(rtl::TWriter* AWriter)
{
  UpdateAnchors();
  AWriter->WriteInteger(FAnchorY);
}
