// The Classes unit, component part:
//   TComponent: ownership, names, notifications, free notifications,
//     component state and the component side of form streaming
//   TCollectionItem, TCollection, TOwnedCollection
//   the class registry with class groups: RegisterClass, FindClass, GetClass,
//     StartClassGroup, ActivateClassGroup, GroupDescendentsWith, ClassGroupOf
//   TComponentList (a list of components that drops the ones freed)
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemTypes.h"
#include "platform/rtl/TypInfo.h"

namespace rtl {

// The filer's error: the class registry raises it before the filer exists.
RTL_DECLARE_EXCEPTION(EFilerError, EStreamError);
// "Class %s not found".
RTL_DECLARE_EXCEPTION(EClassNotFound, EFilerError);
// Invalid and duplicate component names.
RTL_DECLARE_EXCEPTION(EComponentError, Exception);

class TReader;
class TWriter;
class TComponent;

// What Notification reports: a component came into the owner, or is going.
RTL_ENUM(TOperation, opInsert, opRemove);

RTL_ENUM(TComponentStateFlag, csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor,
         csUpdating, csFixups, csFreeNotification, csInline, csDesignInstance);
using TComponentState = TSet<TComponentStateFlag>;

RTL_ENUM(TComponentStyleFlag, csInheritable, csCheckPropAvail, csSubComponent, csTransient);
using TComponentStyle = TSet<TComponentStyleFlag>;

// The callback of GetChildren: called once per child to stream. A plain
// callable rather than a method pointer, so the filer and helpers that walk
// children pass a lambda; nobody compares these callbacks.
using TGetChildProc = std::function<void(TComponent* AChild)>;

using TComponentClass = ClassOf<TComponent>;

// ---------------------------------------------------------------------------
// TComponent

// A component owns the components created with it as owner and frees them
// when it goes. Names are unique among an owner's components, ignoring case.
// IInterface is not counted: AddRef and Release answer -1 and the owner (or
// whoever created the component) frees it. Code that calls an event handler
// which may free the component (a click that closes its page) holds an
// rtl::TFreeWatch of it over the call and touches nothing of it once Freed.
class TComponent : public TPersistent, public IInterface {
  RTL_CLASS(TComponent, TPersistent)
  RTL_INTERFACE_TABLE(IInterface)
  // The filer writes the name itself, ahead of the properties.
  RTL_PUBLISHED(RTL_PROPERTY(Name, GetName, SetName, RTL_NOT_STORED),
                RTL_PROPERTY(Tag, GetTag, SetTag, RTL_DEFAULT(0)))

 public:
  // The framework's virtual constructor: TComponentClass creates through it.
  // With an owner, the component joins the owner's components.
  virtual void Create(TComponent* AOwner);
  // In order: Destroying (csDestroying on the component and its children),
  // opRemove to every free-notification subscriber, the owned components
  // freed last first while this component is still whole (each removed
  // first, so this component's Notification and the remaining components
  // hear of it), and last the removal from the owner.
  void Destroy() override;
  void BeforeDestruction() override;

  HRESULT __stdcall QueryInterface(REFIID AIID, void** AObj) override;
  ULONG __stdcall AddRef() override;
  ULONG __stdcall Release() override;

  int GetComponentCount() const { return static_cast<int>(FComponents.size()); }
  // Raises EListError "List index out of bounds (%d)" for a bad index.
  TComponent* GetComponents(int AIndex) const;
  // The position among the owner's components, -1 without owner. Setting it
  // moves the component, the value clamped to the list.
  int GetComponentIndex() const;
  void SetComponentIndex(int AValue);

  // Checks AComponent's name against the owned ones (EComponentError), takes
  // it from its old owner if it has one, then Notification(AComponent,
  // opInsert). A refused component stays where it was; one owned here
  // already stays as it is.
  void InsertComponent(TComponent* AComponent);
  // Notification(AComponent, opRemove), then AComponent has no owner.
  void RemoveComponent(TComponent* AComponent);
  // Frees the owned components, the last first.
  void DestroyComponents();
  // The owned component of the name, ignoring case; nil for "".
  TComponent* FindComponent(const String& AName) const;

  const String& GetName() const { return FName; }
  // "" or a valid identifier not used by another component of the owner
  // (ignoring case), else EComponentError.
  virtual void SetName(const String& AValue);
  std::intptr_t GetTag() const { return FTag; }
  void SetTag(std::intptr_t AValue) { FTag = AValue; }
  // The designer's position of a non-visual component.
  LONG GetDesignInfo() const { return FDesignInfo; }
  void SetDesignInfo(LONG AValue) { FDesignInfo = AValue; }

  // AComponent will hear Notification(this, opRemove) when this component
  // is freed, and this one when AComponent is (the lists are mutual).
  // Components of the same owner hear of each other through the owner and
  // are not listed. A component being destroyed takes no new link.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);
  // Tells every subscriber, once, that this component is going and empties
  // both sides of the lists. Public for helpers that announce a removal
  // ahead of destruction.
  void RemoveFreeNotifications();

  TComponentState GetComponentState() const { return FComponentState; }
  TComponentStyle GetComponentStyle() const { return FComponentStyle; }
  // csDestroying on this component and everything it owns.
  void Destroying();
  // csUpdating on and off; descendants add their own bookkeeping.
  virtual void Updating();
  virtual void Updated();

  // The component side of form streaming. GetChildren lists the children to
  // write, none here; GetChildOwner is the owner of the children read (nil:
  // the root); GetChildParent their parent (this component).
  virtual void GetChildren(const TGetChildProc& AProc, TComponent* ARoot);
  virtual TComponent* GetChildOwner();
  virtual TComponent* GetChildParent();
  // The streaming parent of a component that is not written by its owner
  // (collection items, repository items); none here.
  virtual TComponent* GetParentComponent();
  virtual void SetParentComponent(TComponent* AValue);
  virtual bool HasParent();

  // The name.
  String GetNamePath() override;
  // The owner; also the owner in the persistent model.
  TComponent* GetOwner() override { return FOwner; }

  // Tells of AComponent coming in or going. The component removes its free
  // notification link to a component going, then passes the news on to
  // everything it owns. Public, unlike the framework's, for helpers that
  // tell an owner of a removal ahead of time; overrides may stay protected.
  virtual void Notification(TComponent* AComponent, TOperation AOperation);

 protected:
  virtual void Loaded();
  void Loading();
  virtual void ReadState(TReader* AReader);
  virtual void WriteState(TWriter* AWriter);
  // Raises EComponentError when NewName is taken by another component that
  // this component owns.
  virtual void ValidateRename(TComponent* AComponent, const String& ACurName, const String& ANewName);
  virtual void ValidateInsert(TComponent* AComponent);

  // Design-time state, on this component and, with AChildren, on everything
  // it owns.
  void SetDesigning(bool AValue, bool AChildren = true);
  void SetAncestor(bool AValue);
  void SetInline(bool AValue);
  void SetDesignInstance(bool AValue);
  void SetSubComponent(bool AValue);

 private:
  void DropFreeNotifier(TComponent* AComponent);

  TComponent* FOwner;
  String FName;
  std::intptr_t FTag;
  LONG FDesignInfo;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  TComponentState FComponentState;
  TComponentStyle FComponentStyle;

  friend class TReader;
  friend class TWriter;
};

// ---------------------------------------------------------------------------
// TCollection

class TCollection;
class TCollectionItem;

using TCollectionItemClass = ClassOf<TCollectionItem>;

// What Notify reports: an item came in, is leaving, or is being deleted.
RTL_ENUM(TCollectionNotification, cnAdded, cnExtracting, cnDeleting);

class TCollectionItem : public TPersistent {
  RTL_CLASS(TCollectionItem, TPersistent)

 public:
  // The virtual constructor the collection creates its items through; joins
  // ACollection when given.
  virtual void Create(TCollection* ACollection);
  // Leaves the collection first.
  void Destroy() override;

  TCollection* GetCollection() const { return FCollection; }
  // Leaves the old collection, then joins the new one (at the end).
  virtual void SetCollection(TCollection* AValue);
  // The position in the collection, -1 outside one. Setting it moves the
  // item and reports a change of all items.
  int GetIndex() const;
  virtual void SetIndex(int AValue);
  // Unique within the collection for its lifetime: IDs are never reused.
  int GetID() const { return FID; }
  // The class name here.
  virtual String GetDisplayName();
  // Reports the change; descendants keep the text.
  virtual void SetDisplayName(const String& AValue);

  // "<collection's name path>[<index>]", the class name outside a collection.
  String GetNamePath() override;
  // The collection.
  TPersistent* GetOwner() override;

 protected:
  // Asks the collection to update this item, or all items with AAllItems;
  // nothing while the collection is updating.
  void Changed(bool AAllItems);

 private:
  TCollection* FCollection;
  int FID;

  friend class TCollection;
};

class TCollection : public TPersistent {
  RTL_CLASS(TCollection, TPersistent)

 public:
  void Create(TCollectionItemClass AItemClass);
  // Frees the items without reporting updates.
  void Destroy() override;

  // A new item of ItemClass at the end.
  TCollectionItem* Add();
  // A new item at AIndex.
  TCollectionItem* Insert(int AIndex);
  // Notify(cnDeleting), then the item is freed.
  void Delete(int AIndex);
  // Frees every item, the last first, inside one update.
  void Clear();
  // Clear, and IDs count from 0 again.
  void ClearAndResetID();
  // Nil when no item has the ID.
  TCollectionItem* FindItemID(int AID) const;
  void Move(int ACurIndex, int ANewIndex);

  // The items of another collection: inside one update, Clear, then an item
  // of this collection's class added and assigned for each source item.
  void Assign(TPersistent* ASource) override;

  // Changes inside a BeginUpdate/EndUpdate bracket are reported once, as
  // Update(nil) at the outermost EndUpdate.
  virtual void BeginUpdate();
  virtual void EndUpdate();
  int GetUpdateCount() const { return FUpdateCount; }

  int GetCount() const { return static_cast<int>(FItems.size()); }
  TCollectionItem* GetItems(int AIndex) const;
  // Assigns AValue to the item at AIndex.
  void SetItems(int AIndex, TCollectionItem* AValue);
  TCollectionItemClass GetItemClass() const { return FItemClass; }
  // "<owner's name path>.<the owner's published property holding this
  // collection>", else the class name.
  String GetNamePath() override;
  int GetNextID() const { return FNextID; }
  // GetOwner, under the framework's public name.
  TPersistent* Owner() { return GetOwner(); }

 protected:
  // Update(nil) unless updating.
  void Changed();
  // A change of AItem, or of all items when nil; nothing here.
  virtual void Update(TCollectionItem* AItem);
  // Told when an item came in, is being extracted or deleted; nothing here.
  virtual void Notify(TCollectionItem* AItem, TCollectionNotification AAction);
  // Lets a collection name its new items; nothing here.
  virtual void SetItemName(TCollectionItem* AItem);

 private:
  // The item joins: a class other than ItemClass raises EListError
  // "Invalid property value".
  void InsertItem(TCollectionItem* AItem);
  void RemoveItem(TCollectionItem* AItem);
  void CheckItemClass(TCollectionItem* AItem) const;

  TCollectionItemClass FItemClass;
  std::vector<TCollectionItem*> FItems;
  int FUpdateCount;
  int FNextID;

  friend class TCollectionItem;
};

// A collection with an owner in the persistent model, given at creation.
class TOwnedCollection : public TCollection {
  RTL_CLASS(TOwnedCollection, TCollection)

 public:
  void Create(TPersistent* AOwner, TCollectionItemClass AItemClass);
  TPersistent* GetOwner() override { return FOwner; }

 private:
  TPersistent* FOwner;
};

// ---------------------------------------------------------------------------
// The class registry
//
// Form streams name classes; the reader finds them here. Registering a class
// registers its ancestors up to TPersistent too. Registered classes belong to
// class groups: a group is started for a class (StartClassGroup) and takes
// that class and its descendants, and more roots can be added to it
// (GroupDescendentsWith); a class belongs to the group of its nearest
// ancestor that is such a root, else to the group of TPersistent. Lookups see
// the classes of the active group and those of TPersistent's group, which
// every group shares.

// A second class of the same name in a group it shares raises EFilerError
// "A class named %s already exists"; the same class again does nothing.
void RegisterClass(TPersistentClass AClass);
void RegisterClasses(std::initializer_list<TPersistentClass> AClasses);
void UnRegisterClass(TPersistentClass AClass);
void UnRegisterClasses(std::initializer_list<TPersistentClass> AClasses);
// Ignoring case; nil when absent.
TPersistentClass GetClass(const String& AClassName);
// As GetClass, but an absent class raises EClassNotFound "Class %s not found".
TPersistentClass FindClass(const String& AClassName);

void StartClassGroup(TPersistentClass AClass);
void GroupDescendentsWith(TPersistentClass AClass, TPersistentClass AClassGroup);
// Makes the group of AClass active; answers the root of the group that was.
TPersistentClass ActivateClassGroup(TPersistentClass AClass);
// The root of the group AClass (or the object's class) belongs to.
TPersistentClass ClassGroupOf(TPersistentClass AClass);
TPersistentClass ClassGroupOf(TPersistent* AInstance);

// ---------------------------------------------------------------------------
// TComponentList

// A list of components that drops a component freed elsewhere, through free
// notification. Owns its components unless told otherwise, as TObjectList.
// A component listed twice is dropped from both places.
class TComponentList : public TObjectList {
  RTL_CLASS(TComponentList, TObjectList)

 public:
  void Destroy() override;

  int Add(TComponent* AComponent) { return inherited::Add(AComponent); }
  void Insert(int AIndex, TComponent* AComponent) { inherited::Insert(AIndex, AComponent); }
  int Remove(TComponent* AComponent) { return inherited::Remove(AComponent); }
  TComponent* Extract(TComponent* AComponent) { return static_cast<TComponent*>(inherited::Extract(AComponent)); }
  int IndexOf(TComponent* AComponent) const { return inherited::IndexOf(AComponent); }
  TComponent* First() const { return static_cast<TComponent*>(inherited::First()); }
  TComponent* Last() const { return static_cast<TComponent*>(inherited::Last()); }
  TComponent* GetItem(int AIndex) const { return static_cast<TComponent*>(inherited::GetItem(AIndex)); }
  void SetItem(int AIndex, TComponent* AComponent) { inherited::SetItem(AIndex, AComponent); }

 protected:
  void Notify(void* APtr, TListNotification AAction) override;

 private:
  class TNexus;
  TNexus* Nexus();
  void HandleFreeNotify(TComponent* AComponent);

  // Receives the free notifications for the list; made on first need, since
  // the list's constructors are TObjectList's.
  TNexus* FNexus;
};

}  // namespace rtl
