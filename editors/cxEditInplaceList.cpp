// The in-place editor lists of the hosts, and the unit routines that reach
// every list or ask whether an object is an editor.
#include <algorithm>
#include <vector>

#include "editors/cxEdit.h"

namespace {

// Every living list; a properties object that goes is let go by each.
std::vector<TcxInplaceEditList*>& cxInplaceEditLists()
{
  static std::vector<TcxInplaceEditList*> lists;
  return lists;
}

}  // namespace

void cxEditDisconnectProperties(TcxCustomEditProperties* AProperties)
{
  for (TcxInplaceEditList* AList : cxInplaceEditLists())
    AList->DisconnectProperties(AProperties);
}

bool cxEditIsEditor(rtl::TPersistent* APersistent)
{
  return rtl::Is<TcxCustomEdit>(APersistent);
}

bool cxEditIsInplaceEditor(rtl::TPersistent* APersistent)
{
  return cxEditIsEditor(APersistent) && static_cast<TcxCustomEdit*>(APersistent)->IsInplace();
}

// ---------------------------------------------------------------------------
// TcxInplaceEditList

void TcxInplaceEditList::Create(rtl::TComponent* AEditorOwner)
{
  inherited::Create();
  FEditorOwner = AEditorOwner;
  FFreeNotificator = rtl::New<TcxFreeNotificator>(nullptr);
  FFreeNotificator->SetOnFreeNotification(TcxFreeNotificationEvent::Bind<&TcxInplaceEditList::EditFreed>(this));
  cxInplaceEditLists().push_back(this);
}

void TcxInplaceEditList::Destroy()
{
  auto& ALists = cxInplaceEditLists();
  ALists.erase(std::remove(ALists.begin(), ALists.end(), this), ALists.end());
  while (!FItems.empty())
    DeleteItem(0);
  rtl::FreeAndNil(FFreeNotificator);
  inherited::Destroy();
}

TcxCustomEdit* TcxInplaceEditList::GetEdit(TcxCustomEditProperties* AProperties)
{
  TcxCustomEdit* AEdit = FindEdit(AProperties);
  if (!AEdit) {
    AEdit = AProperties->GetContainerClass().Create(FEditorOwner, true);
    AEdit->SetVisible(false);
    FItems.push_back({AEdit, AProperties});
    FFreeNotificator->AddSender(AEdit);
  }
  InitEdit(AEdit, AProperties);
  return AEdit;
}

TcxCustomEdit* TcxInplaceEditList::GetEdit(TcxCustomEditPropertiesClass APropertiesClass)
{
  if (TcxCustomEdit* AEdit = FindEdit(APropertiesClass))
    return AEdit;
  rtl::TOwnedPtr<TcxCustomEditProperties> AProperties{APropertiesClass.Create(nullptr)};
  TcxCustomEdit* AEdit = AProperties->GetContainerClass().Create(FEditorOwner, true);
  AEdit->SetVisible(false);
  FItems.push_back({AEdit, nullptr});
  FFreeNotificator->AddSender(AEdit);
  return AEdit;
}

TcxCustomEdit* TcxInplaceEditList::FindEdit(TcxCustomEditProperties* AProperties)
{
  for (const TcxEditListItem& AItem : FItems)
    if (AItem.Properties == AProperties)
      return AItem.Edit;
  const rtl::TClass AEditClass = AProperties->GetContainerClass();
  for (TcxEditListItem& AItem : FItems)
    if (!AItem.Properties && AItem.Edit->ClassType() == AEditClass) {
      AItem.Properties = AProperties;
      return AItem.Edit;
    }
  return nullptr;
}

TcxCustomEdit* TcxInplaceEditList::FindEdit(TcxCustomEditPropertiesClass APropertiesClass)
{
  rtl::TOwnedPtr<TcxCustomEditProperties> AProperties{APropertiesClass.Create(nullptr)};
  const rtl::TClass AEditClass = AProperties->GetContainerClass();
  for (const TcxEditListItem& AItem : FItems)
    if (!AItem.Properties && AItem.Edit->ClassType() == AEditClass)
      return AItem.Edit;
  return nullptr;
}

void TcxInplaceEditList::DisconnectProperties(TcxCustomEditProperties* AProperties)
{
  for (TcxEditListItem& AItem : FItems)
    if (AItem.Properties == AProperties)
      AItem.Properties = nullptr;
}

void TcxInplaceEditList::RemoveItem(TcxCustomEditProperties* AProperties)
{
  for (std::size_t I = 0; I < FItems.size(); ++I)
    if (FItems[I].Properties == AProperties) {
      DeleteItem(I);
      return;
    }
}

void TcxInplaceEditList::RemoveItem(TcxCustomEditPropertiesClass APropertiesClass)
{
  rtl::TOwnedPtr<TcxCustomEditProperties> AProperties{APropertiesClass.Create(nullptr)};
  const rtl::TClass AEditClass = AProperties->GetContainerClass();
  for (std::size_t I = FItems.size(); I-- > 0;)
    if (!FItems[I].Properties && FItems[I].Edit->ClassType() == AEditClass)
      DeleteItem(I);
}

void TcxInplaceEditList::DeleteItem(std::size_t AIndex)
{
  TcxCustomEdit* AEdit = FItems[AIndex].Edit;
  FItems.erase(FItems.begin() + static_cast<std::ptrdiff_t>(AIndex));
  FFreeNotificator->RemoveSender(AEdit);
  rtl::Free(AEdit);
}

void TcxInplaceEditList::EditFreed(rtl::TComponent* Sender)
{
  std::erase_if(FItems, [Sender](const TcxEditListItem& AItem) { return AItem.Edit == Sender; });
}

void TcxInplaceEditList::InitEdit(TcxCustomEdit* AEdit, TcxCustomEditProperties* AProperties)
{
  AEdit->LockChangeEvents(true, true);
  AEdit->FIsInplaceInitializing = true;
  rtl::Finally AUnlock([AEdit] {
    AEdit->FIsInplaceInitializing = false;
    AEdit->LockChangeEvents(false, false);
  });
  AEdit->SetProperties(AProperties);
}
