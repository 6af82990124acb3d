// The action side of TControl and the action links of controls.
#include "platform/vcl/Controls.h"

using enum rtl::TComponentStateFlag;
using enum vcl::TControlStyleItem;

namespace vcl {

namespace {

TCustomAction* CustomActionOf(TObject* AObject)
{
  return rtl::Is<TCustomAction>(AObject) ? static_cast<TCustomAction*>(AObject) : nullptr;
}

}  // namespace

// ---------------------------------------------------------------------------
// TControl

TBasicAction* TControl::GetAction() const
{
  return FActionLink ? FActionLink->GetAction() : nullptr;
}

void TControl::SetAction(TBasicAction* AValue)
{
  if (!AValue) {
    rtl::FreeAndNil(FActionLink);
    FControlStyle.Exclude(csActionClient);
    return;
  }
  FControlStyle.Include(csActionClient);
  if (!FActionLink)
    FActionLink = GetActionLinkClass().Create(this);
  FActionLink->SetAction(AValue);
  FActionLink->SetOnChange(TNotifyEvent::Bind<&TControl::DoActionChange>(this));
  ActionChange(AValue, AValue->GetComponentState().Contains(csLoading));
  AValue->FreeNotification(this);
}

void TControl::InitiateAction()
{
  if (FActionLink)
    FActionLink->Update();
}

void TControl::BeforeDestruction()
{
  inherited::BeforeDestruction();
  rtl::FreeAndNil(FActionLink);
}

void TControl::ActionChange(TObject* ASender, bool ACheckDefaults)
{
  TCustomAction* action = CustomActionOf(ASender);
  if (!action)
    return;
  if (!ACheckDefaults || GetText().empty() || GetText() == GetName())
    SetText(action->GetCaption());
  if (!ACheckDefaults || GetEnabled())
    SetEnabled(action->GetEnabled());
  if (!ACheckDefaults || FHint.empty())
    SetHint(action->GetHint());
  if (!ACheckDefaults || FVisible)
    SetVisible(action->GetVisible());
  if (!ACheckDefaults || !FOnClick)
    SetOnClick(action->GetOnExecute());
  if (!ACheckDefaults || FHelpContext == 0)
    SetHelpContext(action->GetHelpContext());
}

rtl::ClassOf<TControlActionLink> TControl::GetActionLinkClass()
{
  return TControlActionLinkClass::Of<TControlActionLink>();
}

void TControl::DoActionChange(TObject* ASender)
{
  if (ASender && ASender == GetAction())
    ActionChange(ASender, false);
}

// OnClick that is not the action's own handler runs instead of the action;
// otherwise the action executes, so its list sees the execution first.
void TControl::Click()
{
  TBasicAction* action = GetAction();
  if (FOnClick && action && FOnClick != action->GetOnExecute())
    FOnClick(this);
  else if (action && !GetComponentState().Contains(csDesigning))
    FActionLink->Execute(this);
  else if (FOnClick)
    FOnClick(this);
}

bool TControl::IsCaptionStored()
{
  return FControlStyle.Contains(csSetCaption) && !(FActionLink && FActionLink->IsCaptionLinked());
}

bool TControl::IsEnabledStored()
{
  return !FActionLink || !FActionLink->IsEnabledLinked();
}

bool TControl::IsHintStored()
{
  return !FActionLink || !FActionLink->IsHintLinked();
}

bool TControl::IsVisibleStored()
{
  return !FActionLink || !FActionLink->IsVisibleLinked();
}

bool TControl::IsOnClickStored()
{
  return !FActionLink || !FActionLink->IsOnExecuteLinked();
}

bool TControl::IsHelpContextStored()
{
  return !FActionLink || !FActionLink->IsHelpLinked();
}

// ---------------------------------------------------------------------------
// TControlActionLink

void TControlActionLink::AssignClient(TObject* AClient)
{
  FClient = rtl::As<TControl>(AClient);
}

bool TControlActionLink::IsCaptionLinked()
{
  return inherited::IsCaptionLinked() && FClient->GetText() == CustomActionOf(FAction)->GetCaption();
}

bool TControlActionLink::IsEnabledLinked()
{
  return inherited::IsEnabledLinked() && FClient->GetEnabled() == CustomActionOf(FAction)->GetEnabled();
}

bool TControlActionLink::IsHelpLinked()
{
  return inherited::IsHelpLinked() && FClient->GetHelpContext() == CustomActionOf(FAction)->GetHelpContext();
}

bool TControlActionLink::IsHintLinked()
{
  return inherited::IsHintLinked() && FClient->GetHint() == CustomActionOf(FAction)->GetHint();
}

bool TControlActionLink::IsVisibleLinked()
{
  return inherited::IsVisibleLinked() && FClient->GetVisible() == CustomActionOf(FAction)->GetVisible();
}

bool TControlActionLink::IsOnExecuteLinked()
{
  return inherited::IsOnExecuteLinked() && FAction && FClient->GetOnClick() == FAction->GetOnExecute();
}

void TControlActionLink::SetCaption(const String& AValue)
{
  if (IsCaptionLinked())
    FClient->SetText(AValue);
}

void TControlActionLink::SetEnabled(bool AValue)
{
  if (IsEnabledLinked())
    FClient->SetEnabled(AValue);
}

void TControlActionLink::SetHelpContext(THelpContext AValue)
{
  if (IsHelpLinked())
    FClient->SetHelpContext(AValue);
}

void TControlActionLink::SetHint(const String& AValue)
{
  if (IsHintLinked())
    FClient->SetHint(AValue);
}

void TControlActionLink::SetVisible(bool AValue)
{
  if (IsVisibleLinked())
    FClient->SetVisible(AValue);
}

void TControlActionLink::SetOnExecute(TNotifyEvent AValue)
{
  if (IsOnExecuteLinked())
    FClient->SetOnClick(AValue);
}

void TWinControlActionLink::AssignClient(TObject* AClient)
{
  FClient = rtl::As<TWinControl>(AClient);
}

}  // namespace vcl
