// The popup edit: its popup hosts a control of the form, taken from its
// parent while the popup is open and put back exactly as it was.
#include "core/dxCore.h"
#include "editors/cxDropDownEdit.h"
#include "editors/cxEditConsts.h"

// ---------------------------------------------------------------------------
// TcxCustomPopupEditProperties

void TcxCustomPopupEditProperties::Create(rtl::TPersistent* AOwner)
{
  inherited::Create(AOwner);
  FPopupControl = nullptr;
  FPopupControlNotificator = rtl::New<TcxFreeNotificator>(nullptr);
  FPopupControlNotificator->SetOnFreeNotification(
      TcxFreeNotificationEvent::Bind<&TcxCustomPopupEditProperties::PopupControlFreed>(this));
  SetPopupAutoSize(true);
  SetPopupMinHeight(100);
  SetPopupMinWidth(100);
  SetPopupHeight(200);
  SetPopupSizeable(true);
  SetPopupWidth(250);
}

void TcxCustomPopupEditProperties::Destroy()
{
  rtl::FreeAndNil(FPopupControlNotificator);
  inherited::Destroy();
}

void TcxCustomPopupEditProperties::PopupControlFreed(rtl::TComponent* Sender)
{
  if (Sender == FPopupControl)
    FPopupControl = nullptr;
}

void TcxCustomPopupEditProperties::SetPopupControl(vcl::TControl* AValue)
{
  if (FPopupControl == AValue)
    return;
  FPopupControlNotificator->RemoveSender(FPopupControl);
  FPopupControl = AValue;
  FPopupControlNotificator->AddSender(FPopupControl);
}

TcxCustomEditClass TcxCustomPopupEditProperties::GetContainerClass()
{
  return TcxCustomEditClass::Of<TcxPopupEdit>();
}

TcxCustomEditPopupWindowClass TcxCustomPopupEditProperties::GetPopupWindowClass()
{
  return TcxCustomEditPopupWindowClass::Of<TcxPopupEditPopupWindow>();
}

void TcxCustomPopupEditProperties::AssignFrom(TcxCustomEditProperties* ASource)
{
  inherited::AssignFrom(ASource);
  if (auto* source = rtl::Is<TcxCustomPopupEditProperties>(ASource) ? static_cast<TcxCustomPopupEditProperties*>(ASource) : nullptr)
    SetPopupControl(source->FPopupControl);
}

void TcxPopupEditProperties::Create(rtl::TPersistent* AOwner)
{
  inherited::Create(AOwner);
  SetImmediateDropDownWhenActivated(true);
}

// ---------------------------------------------------------------------------
// The popup window

void TcxPopupEditPopupWindowViewInfo::DrawBorder(TcxCanvas* ACanvas, TRect& R)
{
  const bool clientEdge = ClientEdge;
  ClientEdge = true;
  rtl::Finally restore([this, clientEdge] { ClientEdge = clientEdge; });
  inherited::DrawBorder(ACanvas, R);
}

TcxContainerViewInfoClass TcxPopupEditPopupWindow::GetViewInfoClass()
{
  return TcxContainerViewInfoClass::Of<TcxPopupEditPopupWindowViewInfo>();
}

// ---------------------------------------------------------------------------
// TcxCustomPopupEdit

TcxCustomEditPropertiesClass TcxCustomPopupEdit::GetPropertiesClass()
{
  return TcxCustomEditPropertiesClass::Of<TcxCustomPopupEditProperties>();
}

TcxCustomEditPropertiesClass TcxPopupEdit::GetPropertiesClass()
{
  return TcxCustomEditPropertiesClass::Of<TcxPopupEditProperties>();
}

void TcxCustomPopupEdit::Destroy()
{
  // The control belongs to the form: it must not go down with the popup.
  if (FPopupControlMoved)
    RestorePopupControlData();
  inherited::Destroy();
}

void TcxCustomPopupEdit::ClosePopup(TcxEditCloseUpReason AReason)
{
  FCloseUpReason = AReason;
  if (GetPopupWindow())
    GetPopupWindow()->ClosePopup();
}

// The popup must not swallow a window that holds the editor (or itself).
void TcxCustomPopupEdit::DoInitPopup()
{
  vcl::TControl* control = GetActivePopupProperties()->GetPopupControl();
  bool circular = control == GetPopupWindow() || control == this;
  for (vcl::TWinControl* parent = GetParent(); parent && !circular; parent = parent->GetParent())
    circular = control == parent;
  if (circular)
    throw EcxEditError(dxLookupResourceString(cxSEditPopupCircularReferencingError));
  inherited::DoInitPopup();
}

void TcxCustomPopupEdit::SavePopupControlData()
{
  vcl::TControl* control = GetActivePopupProperties()->GetPopupControl();
  FPrevPopupControlData.Align = control->GetAlign();
  if (auto* form = rtl::Is<vcl::TCustomForm>(control) ? static_cast<vcl::TCustomForm*>(control) : nullptr) {
    FPrevPopupControlData.BorderStyle = form->GetBorderStyle();
    form->SetBorderStyle(vcl::TFormBorderStyle::bsNone);
  }
  FPrevPopupControlData.Bounds = control->GetBoundsRect();
  FPrevPopupControlData.Parent = control->GetParent();
  FPrevPopupControlData.Visible = control->GetVisible();
  FPrevPopupControlData.ActiveControl = nullptr;
}

void TcxCustomPopupEdit::SetupPopupWindow()
{
  vcl::TControl* control = GetActivePopupProperties()->GetPopupControl();
  if (control && !FPopupControlMoved) {
    SavePopupControlData();
    FPopupControlMoved = true;
    GetPopupWindow()->GetFont()->Assign(control->GetFont());
    control->SetParent(GetPopupWindow());
    control->SetVisible(true);
  }
  inherited::SetupPopupWindow();
  if (control)
    control->SetAlign(vcl::TAlign::alClient);
}

TSize TcxCustomPopupEdit::GetPopupWindowClientPreferredSize()
{
  vcl::TControl* control = GetActivePopupProperties()->GetPopupControl();
  return control ? TSize{control->GetWidth(), control->GetHeight()} : TSize{};
}

vcl::TWinControl* TcxCustomPopupEdit::GetPopupFocusedControl()
{
  vcl::TControl* control = GetActivePopupProperties()->GetPopupControl();
  return rtl::Is<vcl::TWinControl>(control) ? static_cast<vcl::TWinControl*>(control) : nullptr;
}

void TcxCustomPopupEdit::PositionPopupWindowChilds(const TRect& AClientRect)
{
  if (vcl::TControl* control = GetActivePopupProperties()->GetPopupControl())
    control->SetBoundsRect(AClientRect);
}

void TcxCustomPopupEdit::PopupWindowClosing()
{
  FPrevPopupControlData.ActiveControl = GetPopupWindow()->GetActiveControl();
}

void TcxCustomPopupEdit::PopupWindowClosed()
{
  RestorePopupControlData();
  inherited::PopupWindowClosed();
}

void TcxCustomPopupEdit::RestorePopupControlData()
{
  vcl::TControl* control = GetActivePopupProperties()->GetPopupControl();
  if (!control || !FPopupControlMoved)
    return;
  FPopupControlMoved = false;
  TcxCustomEditPopupWindow* popup = GetPopupWindow();
  // The controls that had the focus inside the popup are told they lost it.
  for (vcl::TWinControl* active = FPrevPopupControlData.ActiveControl; active && active != popup;
       active = active->GetParent())
    active->Perform(rtl::CM_EXIT, 0, 0);
  control->SetVisible(false);
  if (popup)
    popup->SetWindowEnabled(false);
  {
    rtl::Finally enable([popup] {
      if (popup)
        popup->SetWindowEnabled(true);
    });
    control->SetParent(FPrevPopupControlData.Parent);
  }
  control->SetAlign(FPrevPopupControlData.Align);
  control->SetBoundsRect(FPrevPopupControlData.Bounds);
  control->SetVisible(FPrevPopupControlData.Visible);
  if (auto* form = rtl::Is<vcl::TCustomForm>(control) ? static_cast<vcl::TCustomForm*>(control) : nullptr)
    form->SetBorderStyle(FPrevPopupControlData.BorderStyle);
}
