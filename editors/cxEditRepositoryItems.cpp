#include "editors/cxEditRepositoryItems.h"

#include <algorithm>

#include "core/cxGeometry.h"
#include "platform/rtl/ClassesFiler.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/SysUtilsFormat.h"

// ---------------------------------------------------------------------------
// TcxEditRepositoryItem

void TcxEditRepositoryItem::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FScaleFactor = rtl::New<TdxOwnedScaleFactor>();
  FProperties = GetEditPropertiesClass().Create(this);
  FProperties->SetOnPropertiesChanged(rtl::TNotifyEvent::Bind<&TcxEditRepositoryItem::PropertiesChanged>(this));
}

void TcxEditRepositoryItem::Destroy()
{
  // Each listener lets go of the item; one that does not remove itself is
  // removed here, so the walk always ends.
  while (!FListenerList.empty()) {
    IcxEditRepositoryItemListener* listener = FListenerList.back();
    listener->ItemRemoved(this);
    RemoveListener(listener);
  }
  SetRepository(nullptr);
  rtl::FreeAndNil(FProperties);
  rtl::FreeAndNil(FScaleFactor);
  inherited::Destroy();
}

void TcxEditRepositoryItem::AddListener(IcxEditRepositoryItemListener* AListener)
{
  if (AListener && std::find(FListenerList.begin(), FListenerList.end(), AListener) == FListenerList.end())
    FListenerList.push_back(AListener);
}

void TcxEditRepositoryItem::RemoveListener(IcxEditRepositoryItemListener* AListener)
{
  FListenerList.erase(std::remove(FListenerList.begin(), FListenerList.end(), AListener), FListenerList.end());
}

TcxCustomEditPropertiesClass TcxEditRepositoryItem::GetEditPropertiesClass()
{
  return TcxCustomEditPropertiesClass::Of<TcxCustomEditProperties>();
}

void TcxEditRepositoryItem::GetBaseName(rtl::String& AName)
{
  static constexpr std::wstring_view kPrefix = L"TcxEditRepository";
  const rtl::String className = ClassName();
  const std::size_t at = className.find(kPrefix);
  const rtl::String suffix = at == rtl::String::npos ? rtl::String() : className.substr(at + kPrefix.size());
  AName = (FRepository ? FRepository->GetName() : rtl::String()) + suffix;
}

bool TcxEditRepositoryItem::ArePropertiesCompatible(rtl::TClass AClass) const
{
  return FProperties->InheritsFrom(AClass);
}

void TcxEditRepositoryItem::SetProperties(TcxCustomEditProperties* AValue)
{
  FProperties->Assign(AValue);
}

void TcxEditRepositoryItem::SetRepository(TcxEditRepository* AValue)
{
  if (FRepository == AValue)
    return;
  if (FRepository) {
    FScaleFactor->SetOwner(nullptr);
    FRepository->RemoveItem(this);
  }
  FRepository = AValue;
  if (FRepository) {
    FRepository->AddItem(this);
    FScaleFactor->SetOwner(FRepository->GetScaleFactor());
  }
}

TdxScaleFactor* __stdcall TcxEditRepositoryItem::GetScaleFactor()
{
  return FScaleFactor;
}

rtl::TComponent* TcxEditRepositoryItem::GetParentComponent()
{
  return FRepository;
}

bool TcxEditRepositoryItem::HasParent()
{
  return FRepository != nullptr;
}

void TcxEditRepositoryItem::SetParentComponent(rtl::TComponent* AValue)
{
  if (!GetComponentState().Contains(rtl::TComponentStateFlag::csLoading) && rtl::Is<TcxEditRepository>(AValue))
    SetRepository(static_cast<TcxEditRepository*>(AValue));
}

void TcxEditRepositoryItem::PropertiesChanged(rtl::TObject* /*Sender*/)
{
  // A copy: a listener may leave during the walk.
  const std::vector<IcxEditRepositoryItemListener*> listeners = FListenerList;
  for (auto it = listeners.rbegin(); it != listeners.rend(); ++it)
    (*it)->PropertiesChanged(this);
}

void TcxEditRepositoryItem::ReadState(rtl::TReader* AReader)
{
  inherited::ReadState(AReader);
  if (rtl::Is<TcxEditRepository>(AReader->GetParent()))
    SetRepository(static_cast<TcxEditRepository*>(AReader->GetParent()));
}

// ---------------------------------------------------------------------------
// TcxEditRepository

void TcxEditRepository::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
}

void TcxEditRepository::Destroy()
{
  Clear();
  inherited::Destroy();
}

void TcxEditRepository::Clear()
{
  // Each item leaves the list as it is freed.
  while (!FItems.empty())
    rtl::Free(FItems.back());
}

TcxEditRepositoryItem* TcxEditRepository::CreateItem(TcxEditRepositoryItemClass AItemClass)
{
  return CreateItemEx(AItemClass, this);
}

TcxEditRepositoryItem* TcxEditRepository::CreateItemEx(TcxEditRepositoryItemClass AItemClass, rtl::TComponent* AOwner)
{
  TcxEditRepositoryItem* result = AItemClass.Create(AOwner);
  result->SetRepository(this);
  return result;
}

TcxEditRepositoryItem* TcxEditRepository::ItemByName(const rtl::String& AName) const
{
  for (TcxEditRepositoryItem* item : FItems)
    if (rtl::AnsiCompareText(item->GetName(), AName) == 0)
      return item;
  return nullptr;
}

TcxEditRepositoryItem* TcxEditRepository::GetItems(int AIndex) const
{
  if (AIndex < 0 || AIndex >= GetCount())
    throw rtl::EListError(rtl::Format(L"List index out of bounds (%d)", {AIndex}));
  return FItems[AIndex];
}

void TcxEditRepository::GetChildren(const rtl::TGetChildProc& AProc, rtl::TComponent* ARoot)
{
  for (TcxEditRepositoryItem* item : FItems)
    if (item->GetOwner() == ARoot)
      AProc(item);
}

void TcxEditRepository::AddItem(TcxEditRepositoryItem* AItem)
{
  if (std::find(FItems.begin(), FItems.end(), AItem) == FItems.end())
    FItems.push_back(AItem);
}

void TcxEditRepository::RemoveItem(TcxEditRepositoryItem* AItem)
{
  FItems.erase(std::remove(FItems.begin(), FItems.end(), AItem), FItems.end());
}
