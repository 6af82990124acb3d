// The edit repository: a non-visual component holding shared editor
// settings (repository items) that any number of editors use in place of
// their own properties. An item tells the editors listening to it when its
// properties change and when it goes, newest listener first.
#pragma once

#include <vector>

#include "core/cxClassesComponents.h"
#include "core/dxDPIAwareUtils.h"
#include "editors/cxEdit.h"
#include "platform/rtl/ClassesComponents.h"

class TcxEditRepository;
class TdxOwnedScaleFactor;

class TcxEditRepositoryItem : public rtl::TComponent, public IdxScaleFactor {
  RTL_CLASS(TcxEditRepositoryItem, rtl::TComponent)
  RTL_INTERFACES(IdxScaleFactor)

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;

  virtual void AddListener(IcxEditRepositoryItemListener* AListener);
  virtual void RemoveListener(IcxEditRepositoryItemListener* AListener);
  virtual TcxCustomEditPropertiesClass GetEditPropertiesClass();
  // The repository's name and the class name after "TcxEditRepository"; a
  // designer names new items with it.
  virtual void GetBaseName(rtl::String& AName);
  // The properties are of AClass or a descendant.
  bool ArePropertiesCompatible(rtl::TClass AClass) const;

  int GetListenerCount() const { return static_cast<int>(FListenerList.size()); }
  TcxCustomEditProperties* GetProperties() const { return FProperties; }
  void SetProperties(TcxCustomEditProperties* AValue);
  TcxEditRepository* GetRepository() const { return FRepository; }
  void SetRepository(TcxEditRepository* AValue);

  TdxScaleFactor* __stdcall GetScaleFactor() override;

  // Streamed as a child of its repository.
  rtl::TComponent* GetParentComponent() override;
  bool HasParent() override;
  void SetParentComponent(rtl::TComponent* AValue) override;

 protected:
  // The properties' change handler: every listener, newest first.
  virtual void PropertiesChanged(rtl::TObject* Sender);
  void ReadState(rtl::TReader* AReader) override;

 private:
  std::vector<IcxEditRepositoryItemListener*> FListenerList;
  TcxCustomEditProperties* FProperties;
  TcxEditRepository* FRepository;
  TdxOwnedScaleFactor* FScaleFactor;
};

using TcxEditRepositoryItemClass = rtl::ClassOf<TcxEditRepositoryItem>;

class TcxEditRepository : public TcxScalableComponent {
  RTL_CLASS(TcxEditRepository, TcxScalableComponent)

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;

  // Frees the items, the last first.
  void Clear();
  virtual TcxEditRepositoryItem* CreateItem(TcxEditRepositoryItemClass AItemClass);
  // The item is owned by AOwner and listed here.
  virtual TcxEditRepositoryItem* CreateItemEx(TcxEditRepositoryItemClass AItemClass, rtl::TComponent* AOwner);
  // The first item of that name, ignoring case; nil when none.
  TcxEditRepositoryItem* ItemByName(const rtl::String& AName) const;

  int GetCount() const { return static_cast<int>(FItems.size()); }
  TcxEditRepositoryItem* GetItems(int AIndex) const;

  // The items owned by ARoot are streamed as the repository's children.
  void GetChildren(const rtl::TGetChildProc& AProc, rtl::TComponent* ARoot) override;

 private:
  friend class TcxEditRepositoryItem;

  void AddItem(TcxEditRepositoryItem* AItem);
  void RemoveItem(TcxEditRepositoryItem* AItem);

  std::vector<TcxEditRepositoryItem*> FItems;
};
