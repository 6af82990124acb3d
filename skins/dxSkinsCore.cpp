// The skin object model: the named objects, their lists, the skin, its
// groups and details, and the unit's start-up.
#include "skins/dxSkinsCore.h"

#include <algorithm>

#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/dxGDIPlusAPI.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "platform/rtl/ClassesComponents.h"

namespace {

TdxSkinEmptyElement* SkinsCoreEmptyElement = nullptr;

int CompareSkinObjectNames(void* AItem1, void* AItem2)
{
  return rtl::AnsiCompareStr(static_cast<TdxSkinCustomObject*>(AItem1)->GetName(),
                             static_cast<TdxSkinCustomObject*>(AItem2)->GetName());
}

// Runs AProc between BeginUpdate and EndUpdate; EndUpdate also when it raises.
template <class T, class F>
void LockedUpdate(T* AObject, F&& AProc)
{
  AObject->BeginUpdate();
  try {
    AProc();
  } catch (...) {
    AObject->EndUpdate();
    throw;
  }
  AObject->EndUpdate();
}

}  // namespace

void dxSkinCallChangeNotify(const TdxSkinChangeNotify& ANotify, rtl::TObject* ASender, TdxSkinChanges AChanges)
{
  if (ANotify && !AChanges.Empty())
    ANotify(ASender, AChanges);
}

rtl::String dxSkinElementStateName(TdxSkinElementState AState)
{
  // The enumeration's own names without their "es" prefix.
  return rtl::GetEnumName(AState).substr(2);
}

TdxSkinElement* dxSkinCheckElement(TdxSkinElement* AElement)
{
  return AElement ? AElement : SkinsCoreEmptyElement;
}

// ---------------------------------------------------------------------------
// TdxSkinCustomObject

void TdxSkinCustomObject::Create(rtl::TPersistent* AOwner, const rtl::String& AName)
{
  FOwner = AOwner;
  FName = AName;
  FState = {TdxSkinObjectState::sosUnused};
}

void TdxSkinCustomObject::Assign(rtl::TPersistent* ASource)
{
  LockedUpdate(this, [&] { DoAssign(ASource); });
}

void TdxSkinCustomObject::DoAssign(rtl::TPersistent* ASource)
{
  rtl::TPersistent::Assign(ASource);
}

void TdxSkinCustomObject::BeginUpdate()
{
  ++FUpdateCount;
}

void TdxSkinCustomObject::EndUpdate()
{
  if (FUpdateCount > 0 && --FUpdateCount == 0)
    Changed(FChanges);
}

void TdxSkinCustomObject::CancelUpdate()
{
  if (FUpdateCount > 0)
    --FUpdateCount;
  FChanges = {};
}

void TdxSkinCustomObject::Changed(TdxSkinChanges AChanges)
{
  FChanges += AChanges;
  if (FUpdateCount != 0)
    return;
  const TdxSkinChanges changes = FChanges;
  FChanges = {};
  DoChanged(changes);
}

void TdxSkinCustomObject::DoChanged(TdxSkinChanges AChanges)
{
  dxSkinCallChangeNotify(FOnChange, this, AChanges);
}

void TdxSkinCustomObject::SetName(const rtl::String& AValue)
{
  if (AValue != FName) {
    FName = AValue;
    Changed({TdxSkinChange::scStruct});
  }
}

// ---------------------------------------------------------------------------
// TdxSkinCustomObjectList

void TdxSkinCustomObjectList::Create(rtl::TPersistent* AOwner)
{
  inherited::Create(true);
  FOwner = AOwner;
}

void TdxSkinCustomObjectList::CreateEx(rtl::TPersistent* AOwner, const TdxSkinChangeNotify& AChangeHandler)
{
  Create(AOwner);
  FOnChange = AChangeHandler;
}

void TdxSkinCustomObjectList::EndUpdate()
{
  if (FUpdateCount > 0 && --FUpdateCount == 0)
    Changed(FChanges);
}

void TdxSkinCustomObjectList::Clear()
{
  LockedUpdate(this, [&] { inherited::Clear(); });
}

void TdxSkinCustomObjectList::Exchange(int AIndex1, int AIndex2)
{
  rtl::TList::Exchange(AIndex1, AIndex2);
  Changed({TdxSkinChange::scStruct});
}

bool TdxSkinCustomObjectList::Find(const rtl::String& AName, TdxSkinCustomObject*& AObject)
{
  if (!FSorted)
    Sort(false);
  int low = 0;
  int high = GetCount() - 1;
  while (low <= high) {
    const int middle = (low + high) / 2;
    const int order = rtl::AnsiCompareStr(GetObject(middle)->GetName(), AName);
    if (order < 0) {
      low = middle + 1;
    } else if (order > 0) {
      high = middle - 1;
    } else {
      AObject = GetObject(middle);
      return true;
    }
  }
  return false;
}

int TdxSkinCustomObjectList::IndexOf(const rtl::String& AName)
{
  TdxSkinCustomObject* object = nullptr;
  return Find(AName, object) ? inherited::IndexOf(object) : -1;
}

void TdxSkinCustomObjectList::Sort(bool ASortChildren)
{
  if (!FSorted) {
    rtl::TList::Sort(&CompareSkinObjectNames);
    FSorted = true;
  }
  if (ASortChildren)
    SortChildren();
}

void TdxSkinCustomObjectList::FlushCache()
{
  for (int i = 0; i < GetCount(); ++i)
    GetObject(i)->FlushCache();
}

void TdxSkinCustomObjectList::Notify(void* APtr, rtl::TListNotification AAction)
{
  inherited::Notify(APtr, AAction);
  Changed({TdxSkinChange::scStruct});
}

void TdxSkinCustomObjectList::Changed(TdxSkinChanges AChanges)
{
  if (AChanges.Contains(TdxSkinChange::scStruct))
    FSorted = false;
  FChanges += AChanges;
  if (FUpdateCount != 0)
    return;
  const TdxSkinChanges changes = FChanges;
  FChanges = {};
  dxSkinCallChangeNotify(FOnChange, this, changes);
}

TdxSkinCustomObject* TdxSkinCustomObjectList::AddItem(TdxSkinCustomObject* AItem)
{
  AItem->SetOnChange(ItemHandler());
  inherited::Add(AItem);
  return AItem;
}

TdxSkinChangeNotify TdxSkinCustomObjectList::ItemHandler()
{
  return TdxSkinChangeNotify::Bind<&TdxSkinCustomObjectList::ItemChanged>(this);
}

void TdxSkinCustomObjectList::ItemChanged(rtl::TObject*, TdxSkinChanges AChanges)
{
  Changed(AChanges);
}

// ---------------------------------------------------------------------------
// The typed lists

TdxSkinProperty* TdxSkinProperties::Add(const rtl::String& AName, TdxSkinPropertyClass AClass)
{
  return static_cast<TdxSkinProperty*>(AddItem(AClass.Create(GetOwner(), AName)));
}

void TdxSkinProperties::Assign(TdxSkinProperties* ASource)
{
  LockedUpdate(this, [&] {
    Clear();
    for (int i = 0; i < ASource->GetCount(); ++i) {
      TdxSkinProperty* source = ASource->GetItem(i);
      Add(source->GetName(), TdxSkinPropertyClass(source->ClassType()))->Assign(source);
    }
  });
}

bool TdxSkinProperties::Compare(TdxSkinProperties* AProperties)
{
  if (GetCount() != AProperties->GetCount())
    return false;
  for (int i = 0; i < GetCount(); ++i)
    if (!GetItem(i)->Compare(AProperties->GetItem(i)))
      return false;
  return true;
}

TdxSkinProperty* TdxSkinProperties::GetItem(int AIndex) const
{
  return static_cast<TdxSkinProperty*>(GetObject(AIndex));
}

TdxSkinColor* TdxSkinColors::Add(const rtl::String& AName, vcl::TColor AValue)
{
  TdxSkinColor* result = nullptr;
  LockedUpdate(this, [&] {
    result = static_cast<TdxSkinColor*>(TdxSkinProperties::Add(AName, TdxSkinColorClass::Of<TdxSkinColor>()));
    result->SetValue(AValue);
  });
  return result;
}

TdxSkinColor* TdxSkinColors::GetItem(int AIndex) const
{
  return static_cast<TdxSkinColor*>(GetObject(AIndex));
}

TdxSkinControlGroup* TdxSkinControlGroups::Add(const rtl::String& AName)
{
  return static_cast<TdxSkinControlGroup*>(AddItem(rtl::New<TdxSkinControlGroup>(GetOwner(), AName)));
}

void TdxSkinControlGroups::Assign(TdxSkinControlGroups* ASource)
{
  LockedUpdate(this, [&] {
    Clear();
    for (int i = 0; i < ASource->GetCount(); ++i)
      Add(ASource->GetItem(i)->GetName())->Assign(ASource->GetItem(i));
  });
}

void TdxSkinControlGroups::Dormant()
{
  LockedUpdate(this, [&] {
    for (int i = 0; i < GetCount(); ++i)
      GetItem(i)->Dormant();
  });
}

TdxSkinControlGroup* TdxSkinControlGroups::GetItem(int AIndex) const
{
  return static_cast<TdxSkinControlGroup*>(GetObject(AIndex));
}

void TdxSkinControlGroups::SortChildren()
{
  for (int i = 0; i < GetCount(); ++i)
    GetItem(i)->Sort(true);
}

TdxSkinElement* TdxSkinElements::Add(const rtl::String& AName, TdxSkinElementClass AClass)
{
  return static_cast<TdxSkinElement*>(AddItem(AClass.Create(GetOwner(), AName)));
}

void TdxSkinElements::Assign(TdxSkinElements* ASource)
{
  LockedUpdate(this, [&] {
    Clear();
    for (int i = 0; i < ASource->GetCount(); ++i) {
      TdxSkinElement* source = ASource->GetItem(i);
      Add(source->GetName(), TdxSkinElementClass(source->ClassType()))->Assign(source);
    }
  });
}

void TdxSkinElements::Dormant()
{
  LockedUpdate(this, [&] {
    for (int i = 0; i < GetCount(); ++i)
      GetItem(i)->Dormant();
  });
}

TdxSkinElement* TdxSkinElements::GetItem(int AIndex) const
{
  return static_cast<TdxSkinElement*>(GetObject(AIndex));
}

void TdxSkinElements::SortChildren()
{
  for (int i = 0; i < GetCount(); ++i)
    GetItem(i)->Sort(true);
}

// ---------------------------------------------------------------------------
// TdxSkinPersistent

void TdxSkinPersistent::Create(rtl::TPersistent* AOwner, const rtl::String& AName)
{
  inherited::Create(AOwner, AName);
  FProperties = rtl::NewWith<TdxSkinProperties>([&](TdxSkinProperties* AList) {
    AList->CreateEx(this, TdxSkinChangeNotify::Bind<&TdxSkinPersistent::PropertiesChanged>(this));
  });
}

void TdxSkinPersistent::Destroy()
{
  rtl::FreeAndNil(FProperties);
  inherited::Destroy();
}

void TdxSkinPersistent::Changed(TdxSkinChanges AChanges)
{
  FModified = true;
  inherited::Changed(AChanges);
}

void TdxSkinPersistent::FlushCache()
{
  FProperties->FlushCache();
}

void TdxSkinPersistent::Clear()
{
  FProperties->Clear();
}

void TdxSkinPersistent::DeleteProperty(TdxSkinProperty* AProperty)
{
  FProperties->FreeAndRemove(AProperty);
}

void TdxSkinPersistent::DeleteProperty(const rtl::String& APropertyName)
{
  if (TdxSkinProperty* property = GetPropertyByName(APropertyName))
    DeleteProperty(property);
}

void TdxSkinPersistent::Sort(bool ASortChildren)
{
  FProperties->Sort(ASortChildren);
}

TdxSkinProperty* TdxSkinPersistent::AddProperty(const rtl::String& AName, TdxSkinPropertyClass APropertyClass)
{
  return FProperties->Add(AName, APropertyClass);
}

TdxSkinProperty* TdxSkinPersistent::AddPropertyBool(const rtl::String& AName, bool AValue)
{
  TdxSkinProperty* result = nullptr;
  LockedUpdate(this, [&] {
    auto* property = static_cast<TdxSkinBooleanProperty*>(
        AddProperty(AName, TdxSkinPropertyClass::Of<TdxSkinBooleanProperty>()));
    property->SetValue(AValue);
    result = property;
  });
  return result;
}

TdxSkinProperty* TdxSkinPersistent::AddPropertyColor(const rtl::String& AName, vcl::TColor AValue)
{
  TdxSkinProperty* result = nullptr;
  LockedUpdate(this, [&] {
    auto* property = static_cast<TdxSkinColor*>(AddProperty(AName, TdxSkinPropertyClass::Of<TdxSkinColor>()));
    property->SetValue(AValue);
    result = property;
  });
  return result;
}

TdxSkinProperty* TdxSkinPersistent::AddPropertyInteger(const rtl::String& AName, int AValue)
{
  TdxSkinProperty* result = nullptr;
  LockedUpdate(this, [&] {
    auto* property = static_cast<TdxSkinIntegerProperty*>(
        AddProperty(AName, TdxSkinPropertyClass::Of<TdxSkinIntegerProperty>()));
    property->SetValue(AValue);
    result = property;
  });
  return result;
}

void TdxSkinPersistent::ExchangeProperty(int AIndex1, int AIndex2)
{
  FProperties->Exchange(AIndex1, AIndex2);
}

TdxSkinProperty* TdxSkinPersistent::GetPropertyByName(const rtl::String& AName)
{
  TdxSkinProperty* result = nullptr;
  GetPropertyByName(AName, result);
  return result;
}

bool TdxSkinPersistent::GetPropertyByName(const rtl::String& AName, TdxSkinProperty*& AProperty)
{
  TdxSkinCustomObject* object = nullptr;
  if (!FProperties->Find(AName, object))
    return false;
  AProperty = static_cast<TdxSkinProperty*>(object);
  return true;
}

void TdxSkinPersistent::DoAssign(rtl::TPersistent* ASource)
{
  if (auto* source = rtl::Is<TdxSkinPersistent>(ASource) ? static_cast<TdxSkinPersistent*>(ASource) : nullptr)
    FProperties->Assign(source->FProperties);
  else
    inherited::DoAssign(ASource);
}

void TdxSkinPersistent::PropertiesChanged(rtl::TObject*, TdxSkinChanges AChanges)
{
  Changed(AChanges);
}

// ---------------------------------------------------------------------------
// TdxSkinDetails

void TdxSkinDetails::Create()
{
  for (TdxSmartImage*& icon : FIcons) {
    icon = rtl::New<TdxSmartImage>();
    icon->SetOnChange(rtl::TNotifyEvent::Bind<&TdxSkinDetails::IconChanged>(this));
  }
}

void TdxSkinDetails::Destroy()
{
  for (TdxSmartImage*& icon : FIcons) {
    if (icon)
      icon->SetOnChange(nullptr);
    rtl::FreeAndNil(icon);
  }
  inherited::Destroy();
}

void TdxSkinDetails::Assign(rtl::TPersistent* ASource)
{
  if (!rtl::Is<TdxSkinDetails>(ASource)) {
    inherited::Assign(ASource);
    return;
  }
  auto* source = static_cast<TdxSkinDetails*>(ASource);
  LockedUpdate(this, [&] {
    SetName(source->FName);
    SetNotes(source->FNotes);
    SetGroupName(source->FGroupName);
    SetDisplayName(source->FDisplayName);
    for (std::size_t i = 0; i < FIcons.size(); ++i)
      FIcons[i]->Assign(source->FIcons[i]);
  });
}

void TdxSkinDetails::EndUpdate()
{
  if (FUpdateCount > 0)
    --FUpdateCount;
  Changed();
}

void TdxSkinDetails::Changed()
{
  if (FUpdateCount == 0 && FOnChange)
    FOnChange(this);
}

void TdxSkinDetails::Clear()
{
  LockedUpdate(this, [&] {
    SetName({});
    SetDisplayName({});
    SetGroupName({});
    SetNotes({});
    for (TdxSmartImage* icon : FIcons)
      icon->Clear();
  });
}

void TdxSkinDetails::ResetIcon(TdxSkinIconSize ASize)
{
  // The default icons come with the built-in skins; without them the icon
  // stays empty.
  const wchar_t* name = ASize == TdxSkinIconSize::sis16 ? L"DEFAULTSKINICONSMALL" : L"DEFAULTSKINICONLARGE";
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  if (FindResourceW(instance, name, L"DXSKINS"))
    FIcons[ASize]->LoadFromResource(instance, name, L"DXSKINS");
  else
    FIcons[ASize]->Clear();
}

void TdxSkinDetails::SetText(rtl::String& AField, const rtl::String& AValue)
{
  if (AField != AValue) {
    AField = AValue;
    Changed();
  }
}

void TdxSkinDetails::SetName(const rtl::String& AValue)
{
  SetText(FName, AValue);
}

void TdxSkinDetails::SetDisplayName(const rtl::String& AValue)
{
  SetText(FDisplayName, AValue);
}

void TdxSkinDetails::SetGroupName(const rtl::String& AValue)
{
  SetText(FGroupName, AValue);
}

void TdxSkinDetails::SetNotes(const rtl::String& AValue)
{
  SetText(FNotes, AValue);
}

void TdxSkinDetails::IconChanged(rtl::TObject*)
{
  Changed();
}

// ---------------------------------------------------------------------------
// TdxSkin

void TdxSkin::Create(const rtl::String& AName, bool ALoadOnCreate, HINSTANCE hInst)
{
  inherited::Create(nullptr, AName);
  FDetails = rtl::New<TdxSkinDetails>();
  FDetails->SetName(AName);
  FDetails->SetOnChange(rtl::TNotifyEvent::Bind<&TdxSkin::DetailsChanged>(this));
  const TdxSkinChangeNotify listHandler = TdxSkinChangeNotify::Bind<&TdxSkin::ListChanged>(this);
  FColors = rtl::NewWith<TdxSkinColors>([&](TdxSkinColors* AList) { AList->CreateEx(this, listHandler); });
  FGroups = rtl::NewWith<TdxSkinControlGroups>([&](TdxSkinControlGroups* AList) { AList->CreateEx(this, listHandler); });
  FColorPalette = rtl::New<TdxSkinGeneralColorPalette>(this, rtl::String(L"Default"));
  FColorPalette->SetOnChange(listHandler);
  FColorPalettes = rtl::New<TdxSkinColorPalettes>(this, rtl::String(L"ColorPalettes"));
  FColorPalettes->SetOnChange(TdxSkinChangeNotify::Bind<&TdxSkin::PalettesChanged>(this));
  if (ALoadOnCreate)
    LoadFromResource(hInst);
}

void TdxSkin::Destroy()
{
  FDestroying = true;
  rtl::FreeAndNil(FColorPalettes);
  rtl::FreeAndNil(FColorPalette);
  rtl::FreeAndNil(FDetails);
  FListeners.clear();
  rtl::FreeAndNil(FColors);
  rtl::FreeAndNil(FGroups);
  inherited::Destroy();
}

TdxSkin* TdxSkin::Clone(const rtl::String&)
{
  // The copy takes the whole content, details and name included.
  TdxSkin* result = TdxSkinClass(ClassType()).Create(GetName(), false, HINSTANCE(nullptr));
  try {
    result->Assign(this);
  } catch (...) {
    rtl::Free(result);
    throw;
  }
  return result;
}

void TdxSkin::FlushCache()
{
  inherited::FlushCache();
  FColorPalette->FlushCache();
  FColors->FlushCache();
  FGroups->FlushCache();
}

void TdxSkin::Clear()
{
  LockedUpdate(this, [&] {
    inherited::Clear();
    FDetails->Clear();
    FColorPalettes->Clear();
    FGroups->Clear();
    FColors->Clear();
  });
}

void TdxSkin::DeleteProperty(TdxSkinProperty* AProperty)
{
  if (FColors->TList::IndexOf(AProperty) >= 0)
    FColors->FreeAndRemove(AProperty);
  else
    inherited::DeleteProperty(AProperty);
}

void TdxSkin::Sort(bool ASortChildren)
{
  inherited::Sort(ASortChildren);
  FColorPalettes->Sort(ASortChildren);
  FGroups->Sort(ASortChildren);
  FColors->Sort(ASortChildren);
}

void TdxSkin::DeleteGroup(TdxSkinControlGroup* AGroup)
{
  FGroups->FreeAndRemove(AGroup);
}

void TdxSkin::Dormant()
{
  FGroups->Dormant();
}

void TdxSkin::ClearModified()
{
  FModified = false;
  for (int i = 0; i < GetGroupCount(); ++i)
    GetGroup(i)->ClearModified();
}

TdxSkinColor* TdxSkin::AddColor(const rtl::String& AName, vcl::TColor AColor)
{
  return FColors->Add(AName, AColor);
}

TdxSkinControlGroup* TdxSkin::AddGroup(const rtl::String& AName)
{
  return FGroups->Add(AName);
}

void TdxSkin::ExchangeColors(int AIndex1, int AIndex2)
{
  FColors->Exchange(AIndex1, AIndex2);
}

void TdxSkin::ExchangeGroups(int AIndex1, int AIndex2)
{
  FGroups->Exchange(AIndex1, AIndex2);
}

TdxSkinColor* TdxSkin::GetColorByName(const rtl::String& AName)
{
  TdxSkinCustomObject* object = nullptr;
  return FColors->Find(AName, object) ? static_cast<TdxSkinColor*>(object) : nullptr;
}

TdxSkinControlGroup* TdxSkin::GetGroupByName(const rtl::String& AName)
{
  TdxSkinControlGroup* result = nullptr;
  GetGroupByName(AName, result);
  return result;
}

bool TdxSkin::GetGroupByName(const rtl::String& AName, TdxSkinControlGroup*& AGroup)
{
  TdxSkinCustomObject* object = nullptr;
  if (!FGroups->Find(AName, object))
    return false;
  AGroup = static_cast<TdxSkinControlGroup*>(object);
  return true;
}

void TdxSkin::AddListener(rtl::IInterface* AListener)
{
  FListeners.emplace_back(AListener);
}

void TdxSkin::RemoveListener(rtl::IInterface* AListener)
{
  const auto entry = std::find_if(FListeners.begin(), FListeners.end(),
                                  [&](const rtl::IPtr<rtl::IInterface>& AItem) { return AItem.Get() == AListener; });
  if (entry != FListeners.end())
    FListeners.erase(entry);
}

const rtl::String& TdxSkin::GetName() const
{
  return FDetails->GetName();
}

void TdxSkin::SetName(const rtl::String& AValue)
{
  FDetails->SetName(AValue);
}

rtl::String TdxSkin::GetDisplayName() const
{
  return FDetails->GetDisplayName().empty() ? GetName() : FDetails->GetDisplayName();
}

TdxSkinColor* TdxSkin::GetColor(int AIndex) const
{
  return FColors->GetItem(AIndex);
}

TdxSkinControlGroup* TdxSkin::GetGroup(int AIndex) const
{
  return FGroups->GetItem(AIndex);
}

bool TdxSkin::HasMissingElements() const
{
  for (int i = 0; i < GetGroupCount(); ++i)
    if (GetGroup(i)->HasMissingElements())
      return true;
  return false;
}

void TdxSkin::DoAssign(rtl::TPersistent* ASource)
{
  if (!rtl::Is<TdxSkin>(ASource)) {
    inherited::DoAssign(ASource);
    return;
  }
  auto* source = static_cast<TdxSkin*>(ASource);
  FDetails->Assign(source->FDetails);
  FColors->Assign(source->FColors);
  FGroups->Assign(source->FGroups);
  FColorPalettes->Assign(source->FColorPalettes);
  FColorPalette->Assign(source->FColorPalette);
  inherited::DoAssign(ASource);
}

void TdxSkin::DoChanged(TdxSkinChanges AChanges)
{
  if (!FDestroying) {
    FlushCache();
    NotifyListeners(AChanges);
  }
  inherited::DoChanged(AChanges);
}

void TdxSkin::NotifyListeners(TdxSkinChanges AChanges)
{
  BeginUpdate();
  try {
    // The count taken now: listeners added meanwhile wait for the next
    // announcement; the walk stops early when some were removed.
    const std::size_t count = FListeners.size();
    for (std::size_t i = 0; i < count && i < FListeners.size(); ++i) {
      const rtl::IPtr<rtl::IInterface> listener = FListeners[i];
      rtl::IPtr<IdxSkinChangeListener2> listener2;
      rtl::IPtr<IdxSkinChangeListener> listener1;
      if (rtl::Supports<IdxSkinChangeListener2>(listener.Get(), &listener2))
        listener2->SkinChanged(this, AChanges);
      else if (rtl::Supports<IdxSkinChangeListener>(listener.Get(), &listener1))
        listener1->SkinChanged(this);
    }
  } catch (...) {
    CancelUpdate();
    throw;
  }
  CancelUpdate();
}

void TdxSkin::DetailsChanged(rtl::TObject*)
{
  Changed({TdxSkinChange::scDetails});
}

void TdxSkin::ListChanged(rtl::TObject*, TdxSkinChanges AChanges)
{
  Changed(AChanges);
}

void TdxSkin::PalettesChanged(rtl::TObject*, TdxSkinChanges AChanges)
{
  if (FDestroying)
    return;
  LockedUpdate(this, [&] {
    ApplyColorPalette(GetActiveColorPaletteName());
    Changed(AChanges);
  });
}

// ---------------------------------------------------------------------------
// TdxSkinControlGroup

void TdxSkinControlGroup::Create(rtl::TPersistent* AOwner, const rtl::String& AName)
{
  inherited::Create(AOwner, AName);
  FElements = rtl::NewWith<TdxSkinElements>([&](TdxSkinElements* AList) {
    AList->CreateEx(this, TdxSkinChangeNotify::Bind<&TdxSkinControlGroup::ElementsChanged>(this));
  });
}

void TdxSkinControlGroup::Destroy()
{
  rtl::FreeAndNil(FElements);
  inherited::Destroy();
}

void TdxSkinControlGroup::FlushCache()
{
  inherited::FlushCache();
  FElements->FlushCache();
}

void TdxSkinControlGroup::Clear()
{
  inherited::Clear();
  FElements->Clear();
}

void TdxSkinControlGroup::Sort(bool ASortChildren)
{
  inherited::Sort(ASortChildren);
  FElements->Sort(ASortChildren);
}

void TdxSkinControlGroup::Dormant()
{
  FElements->Dormant();
}

void TdxSkinControlGroup::ClearModified()
{
  FModified = false;
  for (int i = 0; i < GetCount(); ++i)
    GetElement(i)->ClearModified();
}

TdxSkinElement* TdxSkinControlGroup::AddElement(const rtl::String& AName)
{
  return AddElementEx(AName, TdxSkinElementClass::Of<TdxSkinElement>());
}

TdxSkinElement* TdxSkinControlGroup::AddElementEx(const rtl::String& AName, TdxSkinElementClass AElementClass)
{
  return FElements->Add(AName, AElementClass);
}

void TdxSkinControlGroup::Delete(int AIndex)
{
  FElements->FreeAndDelete(AIndex);
}

void TdxSkinControlGroup::RemoveElement(TdxSkinElement* AElement)
{
  FElements->FreeAndRemove(AElement);
}

void TdxSkinControlGroup::RemoveElementByName(const rtl::String& AElementName)
{
  if (TdxSkinElement* element = GetElementByName(AElementName))
    RemoveElement(element);
}

void TdxSkinControlGroup::ExchangeElements(int AIndex1, int AIndex2)
{
  FElements->Exchange(AIndex1, AIndex2);
}

TdxSkinElement* TdxSkinControlGroup::GetElementByName(const rtl::String& AName)
{
  TdxSkinElement* result = nullptr;
  GetElementByName(AName, result);
  return result;
}

bool TdxSkinControlGroup::GetElementByName(const rtl::String& AName, TdxSkinElement*& AElement)
{
  TdxSkinCustomObject* object = nullptr;
  if (!FElements->Find(AName, object))
    return false;
  AElement = static_cast<TdxSkinElement*>(object);
  return true;
}

bool TdxSkinControlGroup::HasMissingElements() const
{
  if (FState.Contains(TdxSkinObjectState::sosUnassigned))
    return true;
  for (int i = 0; i < GetCount(); ++i)
    if (GetElement(i)->GetState().Contains(TdxSkinObjectState::sosUnassigned))
      return true;
  return false;
}

void TdxSkinControlGroup::SetElement(int AIndex, TdxSkinElement* AElement)
{
  GetElement(AIndex)->Assign(AElement);
}

TdxSkin* TdxSkinControlGroup::GetSkin()
{
  return rtl::As<TdxSkin>(static_cast<rtl::TObject*>(FOwner));
}

void TdxSkinControlGroup::DoAssign(rtl::TPersistent* ASource)
{
  if (rtl::Is<TdxSkinControlGroup>(ASource))
    FElements->Assign(static_cast<TdxSkinControlGroup*>(ASource)->FElements);
  inherited::DoAssign(ASource);
}

void TdxSkinControlGroup::ElementsChanged(rtl::TObject*, TdxSkinChanges AChanges)
{
  Changed(AChanges);
}

// ---------------------------------------------------------------------------
// Start-up and shut-down

namespace {

void dxSkinsCoreStartStep()
{
  SkinsCoreEmptyElement = rtl::New<TdxSkinEmptyElement>(nullptr, rtl::String());
  rtl::RegisterClasses({rtl::TPersistentClass::Of<TdxSkinControlGroup>(), rtl::TPersistentClass::Of<TdxSkinElement>(),
                        rtl::TPersistentClass::Of<TdxSkinImage>(), rtl::TPersistentClass::Of<TdxSkinColorPalette>(),
                        rtl::TPersistentClass::Of<TdxSkinAlphaColor>()});
  TdxSkinProperty::Register(TdxSkinPropertyClass::Of<TdxSkinAlternateImageAttributes>());
  TdxSkinProperty::Register(TdxSkinPropertyClass::Of<TdxSkinBooleanProperty>());
  TdxSkinProperty::Register(TdxSkinPropertyClass::Of<TdxSkinColor>());
  TdxSkinProperty::Register(TdxSkinPropertyClass::Of<TdxSkinColorPalettes>());
  TdxSkinProperty::Register(TdxSkinPropertyClass::Of<TdxSkinIntegerProperty>());
  TdxSkinProperty::Register(TdxSkinPropertyClass::Of<TdxSkinRectProperty>());
  TdxSkinProperty::Register(TdxSkinPropertyClass::Of<TdxSkinSizeProperty>());
  TdxSkinProperty::Register(TdxSkinPropertyClass::Of<TdxSkinStringProperty>());
  TdxSkinProperty::Register(TdxSkinPropertyClass::Of<TdxSkinWideStringProperty>());
  if (dxGpIsAvailable())
    dxGpLoadCodecIDs();
}

void dxSkinsCoreFinishStep()
{
  rtl::UnRegisterClasses({rtl::TPersistentClass::Of<TdxSkinControlGroup>(),
                          rtl::TPersistentClass::Of<TdxSkinElement>(), rtl::TPersistentClass::Of<TdxSkinImage>(),
                          rtl::TPersistentClass::Of<TdxSkinColorPalette>(),
                          rtl::TPersistentClass::Of<TdxSkinAlphaColor>()});
  TdxSkinProperty::Unregister(TdxSkinPropertyClass::Of<TdxSkinAlternateImageAttributes>());
  TdxSkinProperty::Unregister(TdxSkinPropertyClass::Of<TdxSkinBooleanProperty>());
  TdxSkinProperty::Unregister(TdxSkinPropertyClass::Of<TdxSkinColor>());
  TdxSkinProperty::Unregister(TdxSkinPropertyClass::Of<TdxSkinColorPalettes>());
  TdxSkinProperty::Unregister(TdxSkinPropertyClass::Of<TdxSkinIntegerProperty>());
  TdxSkinProperty::Unregister(TdxSkinPropertyClass::Of<TdxSkinRectProperty>());
  TdxSkinProperty::Unregister(TdxSkinPropertyClass::Of<TdxSkinSizeProperty>());
  TdxSkinProperty::Unregister(TdxSkinPropertyClass::Of<TdxSkinStringProperty>());
  TdxSkinProperty::Unregister(TdxSkinPropertyClass::Of<TdxSkinWideStringProperty>());
  rtl::FreeAndNil(SkinsCoreEmptyElement);
}

void dxSkinsCoreInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinsCoreStartStep, &dxSkinsCoreFinishStep);
}

void dxSkinsCoreFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinsCoreFinishStep);
}

}  // namespace

RTL_UNIT(dxSkinsCore, &dxSkinsCoreInitialization, &dxSkinsCoreFinalization);
