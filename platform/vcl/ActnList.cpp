#include "platform/vcl/ActnList.h"

#include <algorithm>
#include <utility>

#include "platform/rtl/ClassesFiler.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Menus.h"

using enum rtl::TOperation;
using enum vcl::TActionListState;

namespace vcl {

namespace {

// The application's part of an execute or update nobody else handled: the
// focused control of the active form, the active form and the main form may
// take the action as a target. An update nobody handles disables an action
// that could not execute anyway (no OnExecute), when the action wants that.
bool DispatchActionToForms(bool AExecute, TBasicAction* AAction)
{
  bool handled = false;
  if (TScreen* screen = detail::ExistingScreen()) {
    TCustomForm* form = screen->GetActiveForm();
    TApplication* application = detail::ExistingApplication();
    TCustomForm* mainForm = application ? application->GetMainForm() : nullptr;
    rtl::TObject* targets[] = {form ? form->GetActiveControl() : nullptr, form, mainForm != form ? mainForm : nullptr};
    for (rtl::TObject* target : targets) {
      if (!target || !AAction->HandlesTarget(target))
        continue;
      if (AExecute)
        AAction->ExecuteTarget(target);
      else
        AAction->UpdateTarget(target);
      handled = true;
      break;
    }
  }
  if (!handled && rtl::Is<TCustomAction>(AAction)) {
    auto* action = static_cast<TCustomAction*>(AAction);
    if (action->GetEnabled() && action->GetDisableIfNoHandler())
      action->SetEnabled(static_cast<bool>(action->GetOnExecute()));
  }
  return handled;
}

}  // namespace

// ---------------------------------------------------------------------------
// TBasicActionLink

void TBasicActionLink::Create(rtl::TObject* AClient)
{
  inherited::Create();
  AssignClient(AClient);
}

void TBasicActionLink::Destroy()
{
  if (FAction)
    FAction->UnRegisterChanges(this);
  inherited::Destroy();
}

bool TBasicActionLink::Execute(rtl::TComponent* AComponent)
{
  TBasicAction* action = FAction;
  if (!action)
    return false;
  action->SetActionComponent(AComponent);
  // The handler may free the action, or this link: a client that drops its
  // action, or one that closes its page. Nothing of the link is touched
  // afterwards; the action, when it lives on, forgets the component (a freed
  // client's free notification has already made it forget).
  rtl::TFreeWatch watch(action);
  rtl::Finally finish([&] {
    if (!watch.Freed())
      action->SetActionComponent(nullptr);
  });
  return action->Execute();
}

bool TBasicActionLink::Update()
{
  return FAction && FAction->Update();
}

void TBasicActionLink::SetAction(TBasicAction* AValue)
{
  if (AValue == FAction)
    return;
  if (FAction)
    FAction->UnRegisterChanges(this);
  FAction = AValue;
  if (AValue)
    AValue->RegisterChanges(this);
}

void TBasicActionLink::Change()
{
  if (FOnChange)
    FOnChange(FAction);
}

// ---------------------------------------------------------------------------
// TBasicAction

void TBasicAction::Destroy()
{
  inherited::Destroy();
  if (FActionComponent)
    FActionComponent->RemoveFreeNotification(this);
  while (!FClients.empty())
    UnRegisterChanges(FClients.back());
}

bool TBasicAction::Execute()
{
  if (!FOnExecute)
    return false;
  FOnExecute(this);
  return true;
}

bool TBasicAction::Update()
{
  if (!FOnUpdate)
    return false;
  FOnUpdate(this);
  return true;
}

void TBasicAction::RegisterChanges(TBasicActionLink* AValue)
{
  AValue->FAction = this;
  FClients.push_back(AValue);
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* AValue)
{
  const auto found = std::find(FClients.begin(), FClients.end(), AValue);
  if (found == FClients.end())
    return;
  AValue->FAction = nullptr;
  FClients.erase(found);
}

void TBasicAction::SetActionComponent(rtl::TComponent* AValue)
{
  if (AValue == FActionComponent)
    return;
  if (FActionComponent)
    FActionComponent->RemoveFreeNotification(this);
  FActionComponent = AValue;
  if (FActionComponent)
    FActionComponent->FreeNotification(this);
}

void TBasicAction::SetOnExecute(rtl::TNotifyEvent AValue)
{
  if (AValue == FOnExecute)
    return;
  // A copy: a link's setter may make its client leave the action.
  const std::vector<TBasicActionLink*> links = FClients;
  for (TBasicActionLink* link : links)
    link->SetOnExecute(AValue);
  FOnExecute = AValue;
  Change();
}

void TBasicAction::Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation)
{
  inherited::Notification(AComponent, AOperation);
  if (AOperation == opRemove && AComponent == FActionComponent)
    FActionComponent = nullptr;
}

void TBasicAction::Change()
{
  if (FOnChange)
    FOnChange(this);
  const std::vector<TBasicActionLink*> links = FClients;
  for (TBasicActionLink* link : links)
    if (std::find(FClients.begin(), FClients.end(), link) != FClients.end())
      link->Change();
}

// ---------------------------------------------------------------------------
// TContainedAction

void TContainedAction::Destroy()
{
  if (FActionList)
    FActionList->RemoveAction(this);
  inherited::Destroy();
}

bool TContainedAction::Suspended() const
{
  return FActionList && FActionList->GetState() != asNormal;
}

bool TContainedAction::Execute()
{
  if (Suspended())
    return false;
  return (FActionList && FActionList->ExecuteAction(this)) || inherited::Execute() ||
         DispatchActionToForms(true, this);
}

bool TContainedAction::Update()
{
  if (Suspended())
    return false;
  return (FActionList && FActionList->UpdateAction(this)) || inherited::Update() ||
         DispatchActionToForms(false, this);
}

void TContainedAction::SetActionList(TCustomActionList* AValue)
{
  if (AValue == FActionList)
    return;
  if (FActionList)
    FActionList->RemoveAction(this);
  if (AValue)
    AValue->AddAction(this);
}

int TContainedAction::GetIndex() const
{
  return FActionList ? FActionList->IndexOfAction(this) : -1;
}

void TContainedAction::SetIndex(int AValue)
{
  if (!FActionList)
    return;
  auto& actions = FActionList->FActions;
  const int count = static_cast<int>(actions.size());
  const int current = GetIndex();
  AValue = std::clamp(AValue, 0, count - 1);
  if (current == AValue)
    return;
  actions.erase(actions.begin() + current);
  actions.insert(actions.begin() + AValue, this);
}

void TContainedAction::SetCategory(const String& AValue)
{
  FCategory = AValue;
}

rtl::TComponent* TContainedAction::GetParentComponent()
{
  return FActionList ? FActionList : inherited::GetParentComponent();
}

void TContainedAction::SetParentComponent(rtl::TComponent* AValue)
{
  if (rtl::Is<TCustomActionList>(AValue))
    SetActionList(static_cast<TCustomActionList*>(AValue));
}

bool TContainedAction::HasParent()
{
  return FActionList != nullptr || inherited::HasParent();
}

void TContainedAction::ReadState(rtl::TReader* AReader)
{
  inherited::ReadState(AReader);
  if (rtl::Is<TCustomActionList>(AReader->GetParent()))
    SetActionList(static_cast<TCustomActionList*>(AReader->GetParent()));
}

// ---------------------------------------------------------------------------
// TActionLink

bool TActionLink::HasProperties()
{
  return rtl::Is<TCustomAction>(FAction);
}

bool TActionLink::IsAutoCheckLinked()
{
  return HasProperties();
}

bool TActionLink::IsCaptionLinked()
{
  return HasProperties();
}

bool TActionLink::IsCheckedLinked()
{
  return HasProperties();
}

bool TActionLink::IsEnabledLinked()
{
  return HasProperties();
}

bool TActionLink::IsGroupIndexLinked()
{
  return HasProperties();
}

bool TActionLink::IsHelpContextLinked()
{
  return HasProperties();
}

bool TActionLink::IsHelpLinked()
{
  return HasProperties();
}

bool TActionLink::IsHintLinked()
{
  return HasProperties();
}

bool TActionLink::IsImageIndexLinked()
{
  return HasProperties();
}

bool TActionLink::IsShortCutLinked()
{
  return HasProperties();
}

bool TActionLink::IsVisibleLinked()
{
  return HasProperties();
}

// ---------------------------------------------------------------------------
// TCustomAction

void TCustomAction::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FEnabled = true;
  FVisible = true;
  FImageIndex = -1;
  FDisableIfNoHandler = true;
}

bool TCustomAction::Execute()
{
  if (Suspended())
    return false;
  Update();
  if (FEnabled && FAutoCheck && (!FChecked || FGroupIndex == 0))
    SetChecked(!FChecked);
  return FEnabled && inherited::Execute();
}

// The links hear of the new value while the action still has the old one:
// that is how a link tells whether its client still followed the action.
template <class TValue, class TSetter>
void TCustomAction::ChangeProperty(TValue& AField, const TValue& AValue, TSetter ASetLink)
{
  if (AField == AValue)
    return;
  const std::vector<TBasicActionLink*> links = Clients();
  for (TBasicActionLink* link : links)
    if (rtl::Is<TActionLink>(link))
      ASetLink(static_cast<TActionLink*>(link));
  AField = AValue;
  Change();
}

void TCustomAction::SetAutoCheck(bool AValue)
{
  ChangeProperty(FAutoCheck, AValue, [&](TActionLink* ALink) { ALink->SetAutoCheck(AValue); });
}

void TCustomAction::SetCaption(const String& AValue)
{
  ChangeProperty(FCaption, AValue, [&](TActionLink* ALink) { ALink->SetCaption(AValue); });
}

void TCustomAction::SetChecked(bool AValue)
{
  // A linked client that reports its new state back must not start over.
  if (FChecking || AValue == FChecked)
    return;
  FChecking = true;
  rtl::Finally checked([this] { FChecking = false; });
  ChangeProperty(FChecked, AValue, [&](TActionLink* ALink) { ALink->SetChecked(AValue); });
  if (FChecked)
    UncheckGroup();
}

void TCustomAction::UncheckGroup()
{
  if (FGroupIndex <= 0 || !GetActionList())
    return;
  TCustomActionList* list = GetActionList();
  for (int i = 0; i < list->GetActionCount(); ++i) {
    TContainedAction* other = list->GetActions(i);
    if (other != this && rtl::Is<TCustomAction>(other) && static_cast<TCustomAction*>(other)->FGroupIndex == FGroupIndex)
      static_cast<TCustomAction*>(other)->SetChecked(false);
  }
}

void TCustomAction::SetEnabled(bool AValue)
{
  if (TCustomActionList* list = GetActionList()) {
    if (list->GetState() == asSuspended) {
      FEnabled = AValue;
      return;
    }
    if (list->GetState() == asSuspendedEnabled) {
      FSavedEnabledState = AValue;
      return;
    }
  }
  ApplyEnabled(AValue);
}

void TCustomAction::ApplyEnabled(bool AValue)
{
  ChangeProperty(FEnabled, AValue, [&](TActionLink* ALink) { ALink->SetEnabled(AValue); });
}

void TCustomAction::SetGroupIndex(int AValue)
{
  ChangeProperty(FGroupIndex, AValue, [&](TActionLink* ALink) { ALink->SetGroupIndex(AValue); });
  if (FChecked)
    UncheckGroup();
}

void TCustomAction::SetHelpContext(THelpContext AValue)
{
  ChangeProperty(FHelpContext, AValue, [&](TActionLink* ALink) { ALink->SetHelpContext(AValue); });
}

void TCustomAction::SetHint(const String& AValue)
{
  ChangeProperty(FHint, AValue, [&](TActionLink* ALink) { ALink->SetHint(AValue); });
}

void TCustomAction::SetImageIndex(int AValue)
{
  ChangeProperty(FImageIndex, AValue, [&](TActionLink* ALink) { ALink->SetImageIndex(AValue); });
}

void TCustomAction::SetShortCut(TShortCut AValue)
{
  ChangeProperty(FShortCut, AValue, [&](TActionLink* ALink) { ALink->SetShortCut(AValue); });
}

void TCustomAction::SetVisible(bool AValue)
{
  ChangeProperty(FVisible, AValue, [&](TActionLink* ALink) { ALink->SetVisible(AValue); });
}

TCustomImageList* TCustomAction::GetImages() const
{
  return GetActionList() ? GetActionList()->GetImages() : nullptr;
}

// ---------------------------------------------------------------------------
// TCustomActionList

void TCustomActionList::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FImageChangeLink = rtl::New<TChangeLink>();
  FImageChangeLink->SetOnChange(rtl::TNotifyEvent::Bind<&TCustomActionList::ImageListChange>(this));
}

void TCustomActionList::Destroy()
{
  while (!FActions.empty())
    rtl::Free(FActions.back());
  rtl::FreeAndNil(FImageChangeLink);
  inherited::Destroy();
}

bool TCustomActionList::ExecuteAction(TBasicAction* AAction)
{
  bool handled = false;
  if (FOnExecute)
    FOnExecute(AAction, handled);
  return handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* AAction)
{
  bool handled = false;
  if (FOnUpdate)
    FOnUpdate(AAction, handled);
  return handled;
}

bool TCustomActionList::IsShortCut(TWMKey& AMessage)
{
  if (FState != asNormal)
    return false;
  const TShortCut shortCut = ShortCut(AMessage.CharCode, KeyDataToShiftState(AMessage.KeyData));
  if (shortCut == scNone)
    return false;
  for (TContainedAction* action : FActions)
    if (rtl::Is<TCustomAction>(action) && static_cast<TCustomAction*>(action)->GetShortCut() == shortCut)
      return static_cast<TCustomAction*>(action)->HandleShortCut();
  return false;
}

int TCustomActionList::IndexOfAction(const TContainedAction* AAction) const
{
  const auto found = std::find(FActions.begin(), FActions.end(), AAction);
  return found == FActions.end() ? -1 : static_cast<int>(found - FActions.begin());
}

void TCustomActionList::AddAction(TContainedAction* AAction)
{
  if (!AAction || AAction->FActionList == this)
    return;
  if (AAction->FActionList)
    AAction->FActionList->RemoveAction(AAction);
  FActions.push_back(AAction);
  AAction->FActionList = this;
  AAction->FreeNotification(this);
}

void TCustomActionList::RemoveAction(TContainedAction* AAction)
{
  const auto found = std::find(FActions.begin(), FActions.end(), AAction);
  if (found == FActions.end())
    return;
  FActions.erase(found);
  AAction->FActionList = nullptr;
  AAction->RemoveFreeNotification(this);
}

void TCustomActionList::SetImages(TCustomImageList* AValue)
{
  if (AValue == FImages)
    return;
  if (FImages) {
    FImages->UnRegisterChanges(FImageChangeLink);
    FImages->RemoveFreeNotification(this);
  }
  FImages = AValue;
  if (FImages) {
    FImages->RegisterChanges(FImageChangeLink);
    FImages->FreeNotification(this);
  }
  Change();
}

void TCustomActionList::SetState(TActionListState AValue)
{
  if (AValue == FState)
    return;
  const TActionListState old = FState;
  FState = AValue;
  for (TContainedAction* contained : FActions) {
    if (!rtl::Is<TCustomAction>(contained))
      continue;
    auto* action = static_cast<TCustomAction*>(contained);
    if (AValue == asSuspendedEnabled) {
      action->FSavedEnabledState = action->FEnabled;
      action->ApplyEnabled(true);
    } else if (AValue == asNormal && old == asSuspendedEnabled) {
      action->ApplyEnabled(action->FSavedEnabledState);
    } else if (AValue == asNormal) {
      // Enabled changes made while suspended reached no client; they do now.
      action->Change();
    }
  }
}

void TCustomActionList::GetChildren(const rtl::TGetChildProc& AProc, rtl::TComponent* ARoot)
{
  for (TContainedAction* action : FActions)
    if (action->GetOwner() == ARoot)
      AProc(action);
}

void TCustomActionList::Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation)
{
  inherited::Notification(AComponent, AOperation);
  if (AOperation != opRemove)
    return;
  if (AComponent == FImages)
    SetImages(nullptr);
  else if (rtl::Is<TContainedAction>(AComponent))
    RemoveAction(static_cast<TContainedAction*>(AComponent));
}

void TCustomActionList::Change()
{
  if (FOnChange)
    FOnChange(this);
  for (TContainedAction* action : FActions)
    action->Change();
}

void TCustomActionList::ImageListChange(rtl::TObject* ASender)
{
  if (ASender == FImages)
    Change();
}

}  // namespace vcl
