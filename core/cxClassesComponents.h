#pragma once
// The cxClasses unit, component part (apart from the base persistent objects
// in cxClasses.h, which the geometry unit builds on, so this part can build on
// the scale factors):
// - TcxCustomComponent, TcxComponent and TcxScalableComponent, the bases of
//   the library's non-visual components;
// - TcxComponentCollectionItem and TcxComponentCollection: components that
//   are items of a list held by another component;
// - TcxInterfacedCollectionItem, TcxOwnedInterfacedCollection (which can
//   sort its items) and TcxStringList;
// - TcxComponentList, a list of components of one class that reports changes;
// - the owner and naming routines: cxNotifyOwnerOfRemoval,
//   cxGetPersistentOwner, cxCallNotifyEvent, cxGetTopOwner,
//   cxFindTopFormOwner, cxGenerateComponentName, cxUniqueNameInOwner and
//   cxRenamePrefixedItems.

#include <functional>
#include <vector>

#include "core/cxClasses.h"
#include "core/dxDPIAwareUtils.h"
#include "platform/rtl/ClassesComponents.h"
#include "platform/rtl/ClassesFiler.h"
#include "platform/rtl/SystemEvents.h"

class TcxComponentCollection;
class TcxComponentCollectionItem;

// Receives the named parts of a component, one (name, object) pair a call.
using TdxAdornerTargetElementEnumProc = std::function<void(const rtl::String& AName, rtl::TObject* AElement)>;

// What adorners (hints, badges) may be attached to inside a component.
struct IdxAdornerTargetElementCollection : rtl::IInterface {
  RTL_GUID(IdxAdornerTargetElementCollection, "{32C24693-9AB5-472D-BFA5-03EE2C6347BF}")
  virtual void __stdcall EnumNamedParts(const TdxAdornerTargetElementEnumProc& AProc) = 0;
};

// A component that keeps its own scale and follows its form's DPI.
struct IcxScalableComponent : rtl::IInterface {
  RTL_GUID(IcxScalableComponent, "{F67B5B37-2A92-466F-BFAD-5B5154547D6C}")
  virtual void __stdcall ChangeScale(int M, int D) = 0;
  virtual void __stdcall ScaleForPPI(int ATargetPPI) = 0;
};

// ---------------------------------------------------------------------------
// Component bases

class TcxCustomComponent : public rtl::TComponent, public IdxAdornerTargetElementCollection {
  RTL_CLASS(TcxCustomComponent, rtl::TComponent)
  RTL_INTERFACES(IdxAdornerTargetElementCollection)

 public:
  // The owner hears of the removal while the whole object still stands,
  // before any descendant's Destroy has taken its parts down.
  void BeforeDestruction() override;
  // None here.
  void __stdcall EnumNamedParts(const TdxAdornerTargetElementEnumProc& AProc) override;
};

class TcxComponent : public TcxCustomComponent {
  RTL_CLASS(TcxComponent, TcxCustomComponent)
  // References kept only so that a designer streams the linked components
  // together with this one.
  RTL_PUBLISHED(RTL_PROPERTY(FakeComponentLink1, GetFakeComponentLink1, SetFakeComponentLink1),
                RTL_PROPERTY(FakeComponentLink2, GetFakeComponentLink2, SetFakeComponentLink2),
                RTL_PROPERTY(FakeComponentLink3, GetFakeComponentLink3, SetFakeComponentLink3))

 public:
  // Clears the weak links to this component first.
  void Destroy() override;

  bool IsDesigning() const { return GetComponentState().Contains(rtl::TComponentStateFlag::csDesigning); }
  bool IsDestroying() const { return GetComponentState().Contains(rtl::TComponentStateFlag::csDestroying); }
  bool IsLoading() const { return GetComponentState().Contains(rtl::TComponentStateFlag::csLoading); }

  rtl::TComponent* GetFakeComponentLink1() const { return FFakeComponentLink1; }
  rtl::TComponent* GetFakeComponentLink2() const { return FFakeComponentLink2; }
  rtl::TComponent* GetFakeComponentLink3() const { return FFakeComponentLink3; }
  void SetFakeComponentLink1(rtl::TComponent* AValue) { SetFakeComponentLink(FFakeComponentLink1, AValue); }
  void SetFakeComponentLink2(rtl::TComponent* AValue) { SetFakeComponentLink(FFakeComponentLink2, AValue); }
  void SetFakeComponentLink3(rtl::TComponent* AValue) { SetFakeComponentLink(FFakeComponentLink3, AValue); }

  void Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation) override;

 protected:
  // At design time the links are refilled from GetFakeComponentLinks.
  void Loaded() override;
  // Up to three components to stream with this one; none here.
  virtual void GetFakeComponentLinks(std::vector<rtl::TComponent*>& AList);

 private:
  // A linked component that goes is dropped, so no link dangles.
  void SetFakeComponentLink(rtl::TComponent*& ALink, rtl::TComponent* AValue);

  rtl::TComponent* FFakeComponentLink1;
  rtl::TComponent* FFakeComponentLink2;
  rtl::TComponent* FFakeComponentLink3;
};

// A component with a scale factor of its own, made from its owner's DPI and
// stored as "PixelsPerInch", so one stored at one DPI and loaded under
// another is rescaled once.
class TcxScalableComponent : public TcxComponent, public IcxScalableComponent, public IdxScaleFactor {
  RTL_CLASS(TcxScalableComponent, TcxComponent)
  RTL_INTERFACES(IcxScalableComponent, IdxScaleFactor)

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;

  // Multiplies the factor by M/D; descendants rescale their contents.
  void __stdcall ChangeScale(int M, int D) override;
  // ChangeScale(ATargetPPI, current DPI) when scalable and the DPI differs.
  void __stdcall ScaleForPPI(int ATargetPPI) override;
  TdxScaleFactor* __stdcall GetScaleFactor() override { return FScaleFactor; }

  // 96 scaled by the factor.
  int GetPixelsPerInch() const { return dxGetTargetDPI(FScaleFactor); }
  bool GetScalable() const { return FScalable; }
  void SetScalable(bool AValue) { FScalable = AValue; }

 protected:
  void Loaded() override;
  // "PixelsPerInch", always written.
  void DefineProperties(rtl::TFiler* AFiler) override;

 private:
  // The stored DPI: the factor becomes it over 96.
  void ReadPixelsPerInch(rtl::TReader* AReader);
  void WritePixelsPerInch(rtl::TWriter* AWriter);

  bool FScalable;
  TdxScaleFactor* FScaleFactor;
};

// ---------------------------------------------------------------------------
// Component collections

// What a component collection reports, in the framework's order.
RTL_ENUM(TcxComponentCollectionNotification, ccnAdded, ccnChanged, ccnExtracting, ccnExtracted, ccnDeleting);

using TcxComponentCollectionChangeEvent = rtl::TMethod<void(
    rtl::TObject* Sender, TcxComponentCollectionItem* AItem, TcxComponentCollectionNotification AAction)>;

using TcxComponentCollectionItemClass = rtl::ClassOf<TcxComponentCollectionItem>;

// A component that is an item of a collection held by its parent component.
// The item is owned (and streamed) by the parent component's owner; it finds
// its collection through the parent, so streaming restores it by setting
// the parent.
class TcxComponentCollectionItem : public TcxCustomComponent {
  RTL_CLASS(TcxComponentCollectionItem, TcxCustomComponent)

 public:
  // Leaves the collection first.
  void Destroy() override;

  // The collection the parent offers for items of this class.
  virtual TcxComponentCollection* GetCollectionFromParent(rtl::TComponent* AParent) = 0;
  // The component's name.
  virtual rtl::String GetDisplayName();

  TcxComponentCollection* GetCollection() const { return FCollection; }
  // Leaves the old collection, then joins the new one when the new one takes
  // items of this class.
  virtual void SetCollection(TcxComponentCollection* AValue);
  // -1 outside a collection.
  int GetIndex() const;
  // Moves the item and reports a change of all items; an item outside a
  // collection ignores it.
  virtual void SetIndex(int AValue);
  // Unique within the collection, never reused.
  int GetID() const { return FID; }

  // The collection's parent component.
  rtl::TComponent* GetParentComponent() override;
  bool HasParent() override;
  void SetParentComponent(rtl::TComponent* AValue) override;

 protected:
  // Reports a change of this item, or of all items with AAllItems.
  void Changed(bool AAllItems);

 private:
  TcxComponentCollection* FCollection;
  int FID;

  friend class TcxComponentCollection;
};

// The items of a parent component. The collection frees its items; they are
// owned by the parent component's owner only so that the form streams them.
class TcxComponentCollection : public rtl::TPersistent {
  RTL_CLASS(TcxComponentCollection, rtl::TPersistent)

 public:
  virtual void Create(rtl::TComponent* AParentComponent, TcxComponentCollectionItemClass AItemClass);
  // Frees the items without reporting.
  void Destroy() override;

  TcxComponentCollectionItem* Add();
  // An item of AItemClass owned by the parent's owner, joined here and given
  // a unique name. An item of a class this collection does not take stays
  // outside it, without error. An item that cannot be named is freed again.
  TcxComponentCollectionItem* Add(TcxComponentCollectionItemClass AItemClass);
  TcxComponentCollectionItem* Insert(int AIndex);
  // ItemNotification(ccnDeleting), then the item is freed.
  void Delete(int AIndex);
  void Remove(TcxComponentCollectionItem* AItem);
  // Frees every item inside one update: the handler hears one ccnChanged.
  void Clear();
  TcxComponentCollectionItem* FindItemByID(int AID) const;
  int IndexOf(TcxComponentCollectionItem* AItem) const;

  // Another component collection's items: same classes, assigned one by one.
  void Assign(rtl::TPersistent* ASource) override;

  void BeginUpdate();
  // With AForceUpdate, one ccnChanged for no item once the count is back at 0.
  void EndUpdate(bool AForceUpdate = true);

  int GetCount() const { return static_cast<int>(FItems.size()); }
  // Raise EListError for a bad index.
  TcxComponentCollectionItem* GetItem(int AIndex) const;
  // Assigns AValue to the item at AIndex.
  void SetItem(int AIndex, TcxComponentCollectionItem* AValue);
  TcxComponentCollectionItemClass GetItemClass() const { return FItemClass; }
  rtl::TComponent* GetParentComponent() const { return FParentComponent; }
  // The parent component, for name paths.
  rtl::TPersistent* GetOwner() override;
  TcxComponentCollectionChangeEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TcxComponentCollectionChangeEvent AValue) { FOnChange = AValue; }

 protected:
  // A control whose form scopes item names; none here.
  virtual rtl::TComponent* GetOwnerControl();
  // The class-name prefix dropped when naming items; none here.
  virtual rtl::String GetItemClassPrefix();
  // The base of item names; empty here.
  virtual rtl::String GetItemBaseName();
  // Told of every item coming, going and being deleted; nothing here.
  virtual void ItemNotification(TcxComponentCollectionItem* AItem, TcxComponentCollectionNotification AAction);
  virtual void AssignUniqueItemName(TcxComponentCollectionItem* AItem, int AStartNumber);
  // Calls OnChange.
  virtual void DoChange(TcxComponentCollectionItem* AItem, TcxComponentCollectionNotification AAction);
  // An unowned item of the item class parented to the parent component.
  TcxComponentCollectionItem* CreateDefaultItem();
  // A collection value: each entry fills the item at its position, or a new
  // one past the existing items; an index before an entry is skipped.
  void ReadItemsFromStream(rtl::TReader* AReader);
  // DoChange unless updating.
  void Notify(TcxComponentCollectionItem* AItem, TcxComponentCollectionNotification AAction);

 private:
  void InsertItem(TcxComponentCollectionItem* AItem);
  void RemoveItem(TcxComponentCollectionItem* AItem);
  void MoveItem(TcxComponentCollectionItem* AItem, int ANewIndex);

  TcxComponentCollectionItemClass FItemClass;
  std::vector<TcxComponentCollectionItem*> FItems;
  int FNextID;
  rtl::TComponent* FParentComponent;
  int FUpdateCount;
  TcxComponentCollectionChangeEvent FOnChange;

  friend class TcxComponentCollectionItem;
};

// A component collection that answers interface queries without counting.
class TcxInterfacedComponentCollection : public TcxComponentCollection, public rtl::IInterface {
  RTL_CLASS(TcxInterfacedComponentCollection, TcxComponentCollection)
  RTL_INTERFACE_TABLE(rtl::IInterface)

 public:
  HRESULT __stdcall QueryInterface(REFIID AIID, void** AObj) override;
  ULONG __stdcall AddRef() override;
  ULONG __stdcall Release() override;
};

// ---------------------------------------------------------------------------
// Owned collections with interfaces

// A collection item whose references count on its collection's IInterface
// (taken after construction); -1 without one.
class TcxInterfacedCollectionItem : public rtl::TCollectionItem, public rtl::IInterface {
  RTL_CLASS(TcxInterfacedCollectionItem, rtl::TCollectionItem)
  RTL_INTERFACE_TABLE(rtl::IInterface)

 public:
  void AfterConstruction() override;
  HRESULT __stdcall QueryInterface(REFIID AIID, void** AObj) override;
  ULONG __stdcall AddRef() override;
  ULONG __stdcall Release() override;

 private:
  // Not counted: the collection owns this item.
  rtl::IInterface* FOwnerInterface;
};

RTL_ENUM(TcxCollectionInternalStateFlag, cisDestroying, cisUpdating, cisSorting);
using TcxCollectionInternalState = rtl::TSet<TcxCollectionInternalStateFlag>;

using TcxCollectionNotifyEvent = rtl::TMethod<void(rtl::TObject* Sender, rtl::TCollectionItem* AItem)>;
using TcxCollectionCompareEvent =
    rtl::TMethod<int(rtl::TObject* Sender, rtl::TCollectionItem* AItem1, rtl::TCollectionItem* AItem2)>;

// An owned collection that tells OnChange of every update and, when Sorted,
// keeps its items in the order of OnCompare, items it finds equal (and all
// items without it) in the order of CompareItemOrder.
class TcxOwnedInterfacedCollection : public rtl::TOwnedCollection, public rtl::IInterface {
  RTL_CLASS(TcxOwnedInterfacedCollection, rtl::TOwnedCollection)
  RTL_INTERFACE_TABLE(rtl::IInterface)

 public:
  void Destroy() override;

  HRESULT __stdcall QueryInterface(REFIID AIID, void** AObj) override;
  ULONG __stdcall AddRef() override;
  ULONG __stdcall Release() override;

  // Orders the items unless updating or already sorting.
  void Sort();

  bool GetSorted() const { return FSorted; }
  // Turning sorting on sorts at once.
  void SetSorted(bool AValue);
  TcxCollectionInternalState GetInternalState() const { return FInternalState; }
  TcxCollectionNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TcxCollectionNotifyEvent AValue) { FOnChange = AValue; }
  TcxCollectionCompareEvent GetOnCompare() const { return FOnCompare; }
  void SetOnCompare(TcxCollectionCompareEvent AValue) { FOnCompare = AValue; }

 protected:
  // The sign of the difference of the indexes: keeps the current order.
  virtual int CompareItemOrder(rtl::TCollectionItem* AItem1, rtl::TCollectionItem* AItem2);
  void Update(rtl::TCollectionItem* AItem) override;

 private:
  int CompareEntries(rtl::TStringList* AList, int AIndex1, int AIndex2);

  TcxCollectionInternalState FInternalState;
  bool FSorted;
  TcxCollectionNotifyEvent FOnChange;
  TcxCollectionCompareEvent FOnCompare;
};

using TcxStringListCompareEvent = rtl::TMethod<int(rtl::TStringList* AList, int AIndex1, int AIndex2)>;

// A string list that sorts through a method pointer when one is given.
class TcxStringList : public rtl::TStringList {
  RTL_CLASS(TcxStringList, rtl::TStringList)

 public:
  void Sort() override;
  TcxStringListCompareEvent GetOnCompare() const { return FOnCompare; }
  void SetOnCompare(TcxStringListCompareEvent AValue) { FOnCompare = AValue; }

 private:
  TcxStringListCompareEvent FOnCompare;
};

// ---------------------------------------------------------------------------
// Component lists

using TcxComponentListChangeEvent = rtl::TMethod<void(
    rtl::TObject* Sender, rtl::TComponent* AComponent, TcxComponentCollectionNotification AAction)>;
using TcxComponentListNotifyEvent =
    rtl::TMethod<void(rtl::TObject* Sender, rtl::TComponent* AComponent, rtl::TListNotification AAction)>;

// A list of components of the accepted class that drops the ones freed
// elsewhere and reports additions and removals. Components of another class
// never stay in it. Does not own its components unless told to.
class TcxComponentList : public rtl::TComponentList {
  RTL_CLASS(TcxComponentList, rtl::TComponentList)

 public:
  void Create() { inherited::Create(false); }
  void Create(bool AOwnsObjects) { inherited::Create(AOwnsObjects); }
  // Reports nothing while going.
  void Destroy() override;
  // Deletes the components one by one inside one update.
  void Clear() override;

  void BeginUpdate() { ++FUpdateCount; }
  // Ends an update without reporting.
  void CancelUpdate() { --FUpdateCount; }
  // Reports ccnChanged for no component.
  void EndUpdate();

  TcxComponentListChangeEvent GetOnComponentListChanged() const { return FOnComponentListChanged; }
  void SetOnComponentListChanged(TcxComponentListChangeEvent AValue) { FOnComponentListChanged = AValue; }
  TcxComponentListNotifyEvent GetOnNotify() const { return FOnNotify; }
  void SetOnNotify(TcxComponentListNotifyEvent AValue) { FOnNotify = AValue; }

 protected:
  // The class of the components the list keeps; any component here.
  virtual rtl::TComponentClass GetAcceptedClass();
  // The inherited handling, then OnNotify and OnComponentListChanged.
  virtual void NotifyItem(rtl::TComponent* AComponent, rtl::TListNotification AAction);
  void Notify(void* APtr, rtl::TListNotification AAction) override;

 private:
  void DoComponentListChanged(rtl::TComponent* AComponent, TcxComponentCollectionNotification AAction);

  int FUpdateCount;
  TcxComponentListChangeEvent FOnComponentListChanged;
  TcxComponentListNotifyEvent FOnNotify;
};

// ---------------------------------------------------------------------------
// Owner and naming routines

// Removes the component's free notifications and tells its owner, if any,
// of its removal.
void cxNotifyOwnerOfRemoval(rtl::TComponent* AComponent);
// The owner in the persistent model; nil for nil.
rtl::TPersistent* cxGetPersistentOwner(rtl::TPersistent* APersistent);
// Calls the event when assigned.
void cxCallNotifyEvent(const rtl::TNotifyEvent& AEvent, rtl::TObject* ASender);
// The end of the owner chain (the component itself when it has no owner).
rtl::TComponent* cxGetTopOwner(rtl::TComponent* AComponent);
// The outermost form among the component's owners; nil when none is a form.
rtl::TComponent* cxFindTopFormOwner(rtl::TComponent* AComponent);
// A name no component in AOwner's ownership tree has (ignoring case): the
// parent's name, the base text reduced to letters, digits and "_" (or the
// class name, less AClassPrefix or else a leading "T", when that is empty or
// starts with a digit), and a counter. Without AOwner the component's top
// owner is the scope. AStartNumber < 0 starts the counter at 1 for an empty
// base text and at 0 (no number) otherwise.
rtl::String cxGenerateComponentName(rtl::TComponent* AOwner, rtl::TComponent* AParentComponent,
                                    rtl::TComponent* AComponent, int AStartNumber,
                                    const rtl::String& AClassPrefix, const rtl::String& ABaseText);
// ABaseName, or ABaseName with the first number from 1 on that the
// component's owner does not use; with AWithFirstNumber the number is
// always appended.
rtl::String cxUniqueNameInOwner(rtl::TComponent* AComponent, const rtl::String& ABaseName,
                                bool AWithFirstNumber);

// The item at an index, for cxRenamePrefixedItems.
using TcxGetComponentFunc = std::function<rtl::TComponent*(int AIndex)>;
// Renames the items owned by AOwner whose names are longer than AOldPrefix
// and start with it (ignoring case) to ANewPrefix plus the rest. Names the
// owner refuses leave the item as it was. Nothing happens for a container
// inherited from an ancestor form.
void cxRenamePrefixedItems(rtl::TComponent* AContainer, rtl::TComponent* AOwner, const rtl::String& ANewPrefix,
                           const TcxGetComponentFunc& AGetItem, int ACount, const rtl::String& AOldPrefix);
