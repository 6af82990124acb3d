#include "core/cxClasses.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <numeric>
#include <utility>

#include "core/cxClassesComponents.h"
#include "core/dxCoreClasses.h"
#include "platform/rtl/ClassesThreads.h"
#include "platform/rtl/Messages.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Controls.h"

using enum rtl::TOperation;

namespace {

// Lives from the unit's start-up to its finish.
constinit TcxObjectLinkController* LinkController = nullptr;

// The timers' part of the start-up and finish, at the end of the file.
void TimersStartUp();
void TimersFinish();

// The library's non-visual components stream and are placed like controls.
void GroupComponentsWithControls()
{
  rtl::StartClassGroup(rtl::TPersistentClass::Of<vcl::TControl>());
  rtl::GroupDescendentsWith(rtl::TPersistentClass::Of<TcxComponent>(), rtl::TPersistentClass::Of<vcl::TControl>());
  rtl::GroupDescendentsWith(rtl::TPersistentClass::Of<TcxCustomComponent>(), rtl::TPersistentClass::Of<vcl::TControl>());
}

void cxClassesInitialization()
{
  LinkController = rtl::New<TcxObjectLinkController>();
  TimersStartUp();
  GroupComponentsWithControls();
}

void cxClassesFinalization()
{
  TimersFinish();
  rtl::FreeAndNil(LinkController);
}

}  // namespace

RTL_UNIT(cxClasses, &cxClassesInitialization, &cxClassesFinalization);

rtl::TObject* dxGetManager(rtl::TObject* AObject)
{
  rtl::IPtr<IdxManagedObject> managed;
  return AObject && rtl::Supports(AObject, &managed) ? managed->GetManager() : nullptr;
}

// ---------------------------------------------------------------------------
// Base persistent objects

void TcxInterfacedPersistent::Create(rtl::TPersistent* AOwner)
{
  inherited::Create();
  FOwner = AOwner;
}

rtl::TPersistent* TcxInterfacedPersistent::GetOwner()
{
  return FOwner;
}

void TcxOwnedPersistent::Create(rtl::TPersistent* AOwner)
{
  inherited::Create();
  FOwner = AOwner;
}

void TcxOwnedPersistent::Assign(rtl::TPersistent* ASource)
{
  if (rtl::Is<TcxOwnedPersistent>(ASource))
    CopyFrom(ASource);
  else
    inherited::Assign(ASource);
}

rtl::TPersistent* TcxOwnedPersistent::GetOwner()
{
  return FOwner;
}

void TcxOwnedPersistent::CopyFrom(rtl::TPersistent* /*ASource*/) {}

HRESULT TcxOwnedInterfacedPersistent::QueryInterface(REFIID AIID, void** AObj)
{
  if (!AObj)
    return E_POINTER;
  return GetInterface(AIID, AObj) ? S_OK : E_NOINTERFACE;
}

ULONG TcxOwnedInterfacedPersistent::AddRef()
{
  return static_cast<ULONG>(-1);
}

ULONG TcxOwnedInterfacedPersistent::Release()
{
  return static_cast<ULONG>(-1);
}

void TcxFreeNotificator::AddSender(rtl::TComponent* ASender)
{
  if (ASender)
    ASender->FreeNotification(this);
}

void TcxFreeNotificator::RemoveSender(rtl::TComponent* ASender)
{
  if (ASender)
    ASender->RemoveFreeNotification(this);
}

void TcxFreeNotificator::Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation)
{
  inherited::Notification(AComponent, AOperation);
  if (AOperation == opRemove && FOnFreeNotification)
    FOnFreeNotification(AComponent);
}

// ---------------------------------------------------------------------------
// TcxObjectList

void TcxObjectList::Create(bool AOwnObjects)
{
  inherited::Create();
  FOwnObjects = AOwnObjects;
}

void TcxObjectList::Clear()
{
  if (FOwnObjects)
    for (int i = 0; i < GetCount(); ++i)
      FreeItem(i);
  inherited::Clear();
}

void TcxObjectList::FreeAndDelete(int AIndex)
{
  FreeItem(AIndex);
  Delete(AIndex);
}

int TcxObjectList::FreeAndRemove(rtl::TObject* AObject)
{
  const int index = IndexOf(AObject);
  if (index >= 0)
    FreeAndDelete(index);
  return index;
}

void TcxObjectList::FreeItem(int AIndex)
{
  rtl::Free(GetItem(AIndex));
}

// ---------------------------------------------------------------------------
// TcxEventHandlerCollection

void TcxEventHandlerCollection::Add(TcxEventHandler AEvent)
{
  if (std::find(FEvents.begin(), FEvents.end(), AEvent) == FEvents.end())
    FEvents.push_back(AEvent);
}

void TcxEventHandlerCollection::Remove(TcxEventHandler AEvent)
{
  const auto it = std::find(FEvents.begin(), FEvents.end(), AEvent);
  if (it != FEvents.end())
    FEvents.erase(it);
}

void TcxEventHandlerCollection::CallEvents(rtl::TObject* Sender, const void* AEventArgs)
{
  // A handler may change the list under the walk: each step is bounded by
  // the current count, and the handler is copied out before it runs, as the
  // array may move while it does.
  const std::size_t count = FEvents.size();
  for (std::size_t i = 0; i < count && i < FEvents.size(); ++i) {
    const TcxEventHandler handler = FEvents[i];
    handler(Sender, AEventArgs);
  }
}

void TcxEventHandlerCollection::CallEvents(rtl::TObject* Sender)
{
  const int args = 0;
  CallEvents(Sender, &args);
}

// ---------------------------------------------------------------------------
// TcxRegisteredClassList

void TcxRegisteredClassList::Destroy()
{
  Clear();
  inherited::Destroy();
}

void TcxRegisteredClassList::Clear()
{
  for (TcxRegisteredClassListItemData* item : std::exchange(FItems, {}))
    rtl::Free(item);
}

rtl::TClass TcxRegisteredClassList::FindClass(rtl::TClass AItemClass)
{
  int index = -1;
  return FindItemIndex(AItemClass, index) ? FItems[index]->RegisteredClass : nullptr;
}

TcxRegisteredClassListItemData* TcxRegisteredClassList::GetItem(int AIndex) const
{
  if (AIndex < 0 || AIndex >= GetCount())
    rtl::ListIndexError(AIndex);
  return FItems[AIndex];
}

bool TcxRegisteredClassList::FindItemIndex(rtl::TClass AItemClass, int& AIndex)
{
  if (!AItemClass)
    return false;
  for (int i = GetCount() - 1; i >= 0; --i) {
    const rtl::TClass itemClass = FItems[i]->ItemClass;
    if (AItemClass->InheritsFrom(itemClass)) {
      AIndex = i;
      return true;
    }
    if (itemClass->InheritsFrom(AItemClass))
      AIndex = i;
  }
  return false;
}

void TcxRegisteredClassList::Register(rtl::TClass AItemClass, rtl::TClass ARegisteredClass)
{
  FItems.reserve(FItems.size() + 1);
  TcxRegisteredClassListItemData* item = rtl::New<TcxRegisteredClassListItemData>();
  item->ItemClass = AItemClass;
  item->RegisteredClass = ARegisteredClass;
  int index = -1;
  if (FindItemIndex(AItemClass, index))
    ++index;
  else if (index < 0)
    index = GetCount();
  FItems.insert(FItems.begin() + index, item);
}

void TcxRegisteredClassList::Unregister(rtl::TClass AItemClass, rtl::TClass ARegisteredClass)
{
  std::erase_if(FItems, [&](TcxRegisteredClassListItemData* AItem) {
    if (AItem->ItemClass != AItemClass || AItem->RegisteredClass != ARegisteredClass)
      return false;
    rtl::Free(AItem);
    return true;
  });
}

// ---------------------------------------------------------------------------
// TcxRegisteredClasses

namespace {

constexpr wchar_t HintSeparator = L'|';

rtl::String DescriptionOf(const rtl::String& AText)
{
  return AText.substr(0, AText.find(HintSeparator));
}

rtl::String HintOf(const rtl::String& AText)
{
  const std::size_t separator = AText.find(HintSeparator);
  return separator == rtl::String::npos ? AText : AText.substr(separator + 1);
}

}  // namespace

void TcxRegisteredClasses::Create(bool ARegisterClasses)
{
  inherited::Create();
  FRegisterClasses = ARegisterClasses;
}

void TcxRegisteredClasses::Destroy()
{
  Clear();
  inherited::Destroy();
}

void TcxRegisteredClasses::Clear()
{
  FItems.clear();
}

void TcxRegisteredClasses::Register(rtl::TClass AClass, const rtl::String& ADescription)
{
  if (GetIndexByClass(AClass) >= 0)
    return;
  FItems.push_back({ADescription, AClass});
  if (FSorted)
    SortItems();
  if (FRegisterClasses)
    rtl::RegisterClass(rtl::TPersistentClass(AClass));
}

void TcxRegisteredClasses::Unregister(rtl::TClass AClass)
{
  const int index = GetIndexByClass(AClass);
  if (index >= 0)
    FItems.erase(FItems.begin() + index);
}

void TcxRegisteredClasses::CheckIndex(int AIndex) const
{
  if (AIndex < 0 || AIndex >= GetCount())
    rtl::ListIndexError(AIndex);
}

rtl::TClass TcxRegisteredClasses::GetItem(int AIndex) const
{
  CheckIndex(AIndex);
  return FItems[AIndex].Class;
}

rtl::String TcxRegisteredClasses::GetDescription(int AIndex) const
{
  CheckIndex(AIndex);
  return DescriptionOf(FItems[AIndex].Text);
}

rtl::String TcxRegisteredClasses::GetHint(int AIndex) const
{
  CheckIndex(AIndex);
  return HintOf(FItems[AIndex].Text);
}

int TcxRegisteredClasses::GetIndexByClass(rtl::TClass AClass) const
{
  const auto it = std::find_if(FItems.begin(), FItems.end(), [&](const TItem& AItem) { return AItem.Class == AClass; });
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

rtl::String TcxRegisteredClasses::GetDescriptionByClass(rtl::TClass AClass) const
{
  const int index = GetIndexByClass(AClass);
  return index < 0 ? rtl::String() : GetDescription(index);
}

rtl::String TcxRegisteredClasses::GetHintByClass(rtl::TClass AClass) const
{
  const int index = GetIndexByClass(AClass);
  return index < 0 ? rtl::String() : GetHint(index);
}

rtl::TClass TcxRegisteredClasses::FindByClassName(const rtl::String& AClassName) const
{
  for (const TItem& item : FItems)
    if (item.Class->ClassName() == AClassName)
      return item.Class;
  return nullptr;
}

rtl::TClass TcxRegisteredClasses::FindByDescription(const rtl::String& ADescription) const
{
  if (ADescription.empty())
    return nullptr;
  for (const TItem& item : FItems)
    if (DescriptionOf(item.Text) == ADescription)
      return item.Class;
  return nullptr;
}

void TcxRegisteredClasses::SetSorted(bool AValue)
{
  if (FSorted == AValue)
    return;
  FSorted = AValue;
  if (FSorted)
    SortItems();
}

int TcxRegisteredClasses::CompareDescriptions(int AIndex1, int AIndex2)
{
  return rtl::AnsiCompareText(GetDescription(AIndex1), GetDescription(AIndex2));
}

void TcxRegisteredClasses::SortItems()
{
  // The comparison is a virtual slot over indexes, so the indexes are sorted
  // and the entries moved into their order afterwards.
  std::vector<int> order(FItems.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [this](int AIndex1, int AIndex2) { return CompareDescriptions(AIndex1, AIndex2) < 0; });
  std::vector<TItem> sorted;
  sorted.reserve(FItems.size());
  for (int index : order)
    sorted.push_back(std::move(FItems[index]));
  FItems = std::move(sorted);
}

// ---------------------------------------------------------------------------
// Weak object links

void TcxObjectLinkController::Create()
{
  inherited::Create();
  FLinks = rtl::New<TdxHashSet<TcxObjectLink*>>();
}

void TcxObjectLinkController::Destroy()
{
  rtl::FreeAndNil(FLinks);
  inherited::Destroy();
}

TcxObjectLink* TcxObjectLinkController::AddLink(rtl::TObject* AObject)
{
  TcxObjectLink* link = rtl::New<TcxObjectLink>();
  link->Ref = AObject;
  try {
    FLinks->Include(link);
  } catch (...) {
    rtl::Free(link);
    throw;
  }
  return link;
}

void TcxObjectLinkController::RemoveLink(TcxObjectLink* ALink)
{
  if (ALink->Ref)
    FLinks->Exclude(ALink);
  rtl::Free(ALink);
}

void TcxObjectLinkController::ClearLinks(rtl::TObject* AObject)
{
  // The set is not changed while it is walked.
  std::vector<TcxObjectLink*> cleared;
  for (TcxObjectLink* link : *FLinks)
    if (link->Ref == AObject) {
      link->Ref = nullptr;
      cleared.push_back(link);
    }
  for (TcxObjectLink* link : cleared)
    FLinks->Exclude(link);
}

TcxObjectLink* cxCreateWeakLink(rtl::TObject* AObject)
{
  if (!AObject)
    return nullptr;
  if (LinkController)
    return LinkController->AddLink(AObject);
  return rtl::New<TcxObjectLink>();
}

void cxFreeWeakLink(TcxObjectLink*& ALink)
{
  TcxObjectLink* link = std::exchange(ALink, nullptr);
  if (!link)
    return;
  if (LinkController)
    LinkController->RemoveLink(link);
  else
    rtl::Free(link);
}

void cxResetWeakLinks(rtl::TObject* AObject)
{
  if (LinkController && AObject)
    LinkController->ClearLinks(AObject);
}

// ---------------------------------------------------------------------------
// Routines

rtl::String cxGetWindowClassName(HWND AHandle)
{
  wchar_t name[258];
  const int length = GetClassNameW(AHandle, name, static_cast<int>(std::size(name)));
  return length > 0 ? rtl::String(name, length) : rtl::String();
}

const wchar_t* cxStrCharPointer(const rtl::String& S, int AIndex)
{
  return S.c_str() + (AIndex - 1);
}

int cxStrCharSize(const rtl::String& S, int AIndex)
{
  const std::size_t index = static_cast<std::size_t>(AIndex - 1);
  if (AIndex < 1 || index >= S.size())
    return 0;
  const bool pair = IS_HIGH_SURROGATE(S[index]) && index + 1 < S.size() && IS_LOW_SURROGATE(S[index + 1]);
  return static_cast<int>((pair ? 2 : 1) * sizeof(wchar_t));
}

TSize cxSizeFromValues(int ACX, int ACY)
{
  return TSize{ACX, ACY};
}

int cxHalfSumFloor(int A, int B)
{
  // Summed wide: two large values must not overflow on the way.
  const long long sum = static_cast<long long>(A) + B;
  return static_cast<int>(sum > 0 ? sum / 2 : (sum - 1) / 2);
}

int cxSignOf(double AValue)
{
  return AValue < 0 ? -1 : 1;
}

LRESULT cxSendMessageWithStructEx(HWND AHandle, UINT AMsg, void* AStruct, bool AStructInLParam, WPARAM AValue)
{
  const auto address = reinterpret_cast<std::uintptr_t>(AStruct);
  if (AStructInLParam)
    return SendMessageW(AHandle, AMsg, AValue, static_cast<LPARAM>(address));
  return SendMessageW(AHandle, AMsg, static_cast<WPARAM>(address), static_cast<LPARAM>(AValue));
}

LRESULT cxSendMessageWithStruct(HWND AHandle, UINT AMsg, WPARAM AWParam, void* AStruct)
{
  return cxSendMessageWithStructEx(AHandle, AMsg, AStruct, true, AWParam);
}

// ---------------------------------------------------------------------------
// TcxDoublyLinkedObjectList

void TcxDoublyLinkedObjectList::Destroy()
{
  Clear();
  inherited::Destroy();
}

TcxDoublyLinkedObject* TcxDoublyLinkedObjectList::CreateLinkedObject()
{
  return GetLinkedObjectClass().Create();
}

void TcxDoublyLinkedObjectList::AddLinkedObject(TcxDoublyLinkedObject* ALinkedObject)
{
  ALinkedObject->SetPrev(FLast);
  if (FFirst == nullptr)
    FFirst = ALinkedObject;
  if (FLast != nullptr)
    FLast->SetNext(ALinkedObject);
  FLast = ALinkedObject;
}

TcxDoublyLinkedObjectClass TcxDoublyLinkedObjectList::GetLinkedObjectClass() const
{
  return TcxDoublyLinkedObjectClass::Of<TcxDoublyLinkedObject>();
}

TcxDoublyLinkedObject* TcxDoublyLinkedObjectList::Add()
{
  TcxDoublyLinkedObject* result = CreateLinkedObject();
  AddLinkedObject(result);
  return result;
}

void TcxDoublyLinkedObjectList::Clear()
{
  // Last to first; each object is unlinked before it goes, so that nothing
  // its destruction reaches sees a freed neighbour.
  while (FLast != nullptr) {
    TcxDoublyLinkedObject* object = FLast;
    FLast = object->GetPrev();
    if (FLast != nullptr)
      FLast->SetNext(nullptr);
    rtl::Free(object);
  }
  FFirst = nullptr;
}

void TcxDoublyLinkedObjectList::Delete(TcxDoublyLinkedObject* ALinkedObject)
{
  Extract(ALinkedObject);
  rtl::Free(ALinkedObject);
}

void TcxDoublyLinkedObjectList::Extract(TcxDoublyLinkedObject* ALinkedObject)
{
  TcxDoublyLinkedObject* prev = ALinkedObject->GetPrev();
  TcxDoublyLinkedObject* next = ALinkedObject->GetNext();
  if (prev != nullptr)
    prev->SetNext(next);
  else if (FFirst == ALinkedObject)
    FFirst = next;
  if (next != nullptr)
    next->SetPrev(prev);
  else if (FLast == ALinkedObject)
    FLast = prev;
}

void TcxDoublyLinkedObjectList::Remove(TcxDoublyLinkedObject* ALinkedObject)
{
  Delete(ALinkedObject);
}

void TcxDoublyLinkedObjectList::InsertBefore(TcxDoublyLinkedObject* ADestination, TcxDoublyLinkedObject* ASource)
{
  TcxDoublyLinkedObject* prev = ADestination->GetPrev();
  ASource->SetPrev(prev);
  ASource->SetNext(ADestination);
  if (prev != nullptr)
    prev->SetNext(ASource);
  ADestination->SetPrev(ASource);
  if (FFirst == ADestination)
    FFirst = ASource;
}

void TcxDoublyLinkedObjectList::InsertAfter(TcxDoublyLinkedObject* ADestination, TcxDoublyLinkedObject* ASource)
{
  TcxDoublyLinkedObject* next = ADestination->GetNext();
  ASource->SetNext(next);
  ASource->SetPrev(ADestination);
  if (next != nullptr)
    next->SetPrev(ASource);
  ADestination->SetNext(ASource);
  if (FLast == ADestination)
    FLast = ASource;
}

int TcxDoublyLinkedObjectList::GetCount() const
{
  int result = 0;
  for (TcxDoublyLinkedObject* object = FLast; object != nullptr; object = object->GetPrev())
    ++result;
  return result;
}

// ===========================================================================
// Message window and timers

void TcxMessageWindow::Create()
{
  inherited::Create();
  FHandle = rtl::AllocateHWnd(rtl::TWndMethod::Bind<&TcxMessageWindow::GuardedWindowProc>(this));
  // Message-only: it needs no place among the top-level windows and must not
  // be woken by every broadcast.
  SetParent(FHandle, HWND_MESSAGE);
}

void TcxMessageWindow::Destroy()
{
  rtl::DeallocateHWnd(FHandle);
  FHandle = nullptr;
  inherited::Destroy();
}

void TcxMessageWindow::HandleMessage(rtl::TMessage& AMessage)
{
  AMessage.Result = DefWindowProcW(FHandle, AMessage.Msg, AMessage.WParam, AMessage.LParam);
}

void TcxMessageWindow::GuardedWindowProc(rtl::TMessage& AMessage)
{
  try {
    HandleMessage(AMessage);
  } catch (...) {
    rtl::HandleCallbackException(this);
  }
}

namespace {

constinit TcxTimerWindow* TimerWindow = nullptr;
constinit TdxFastList* RunningTimers = nullptr;
// Set by the finish: from then on neither getter creates its object.
constinit bool TimersFinished = false;

void TimersStartUp()
{
  TimersFinished = false;
}

void TimersFinish()
{
  TimersFinished = true;
  // Destroying the window kills the platform timers it still carries.
  rtl::FreeAndNil(TimerWindow);
  rtl::FreeAndNil(RunningTimers);
}

}  // namespace

TcxTimerWindow* cxGetTimerWindow()
{
  if (!TimerWindow && !TimersFinished)
    TimerWindow = rtl::New<TcxTimerWindow>();
  return TimerWindow;
}

TdxFastList* cxGetRunningTimers()
{
  if (!RunningTimers && !TimersFinished)
    RunningTimers = rtl::New<TdxFastList>();
  return RunningTimers;
}

void TcxTimerWindow::HandleMessage(rtl::TMessage& AMessage)
{
  if (AMessage.Msg != WM_TIMER) {
    inherited::HandleMessage(AMessage);
    return;
  }
  AMessage.Result = 0;
  // A tick already queued for a timer stopped or freed since finds its
  // identifier gone.
  void* id = reinterpret_cast<void*>(AMessage.WParam);
  if (RunningTimers && RunningTimers->IndexOf(id) >= 0)
    static_cast<TcxTimer*>(id)->DoTimer();
}

void TcxTimer::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FEnabled = true;
  FInterval = 1000;
  FEventID = reinterpret_cast<UINT_PTR>(this);
}

void TcxTimer::Destroy()
{
  // The identifier leaves the running list here, before the object goes, so
  // a timer may free itself in its own OnTimer.
  Stop();
  inherited::Destroy();
}

void TcxTimer::Reset()
{
  if (FEnabled)
    Restart();
}

void TcxTimer::SetEnabled(bool AValue)
{
  if (FEnabled == AValue)
    return;
  FEnabled = AValue;
  Restart();
}

void TcxTimer::SetInterval(unsigned AValue)
{
  if (AValue == 0 || AValue == FInterval)
    return;
  FInterval = AValue;
  Restart();
}

void TcxTimer::SetOnTimer(rtl::TNotifyEvent AValue)
{
  FOnTimer = AValue;
  Restart();
}

bool TcxTimer::GetTimerOn() const
{
  return RunningTimers && RunningTimers->IndexOf(reinterpret_cast<void*>(FEventID)) >= 0;
}

void TcxTimer::DoTimer()
{
  if (FOnTimer)
    FOnTimer(this);
}

void TcxTimer::Restart()
{
  Stop();
  Start();
}

void TcxTimer::Start()
{
  if (!FEnabled || !FOnTimer || GetTimerOn())
    return;
  TcxTimerWindow* window = cxGetTimerWindow();
  TdxFastList* running = cxGetRunningTimers();
  if (!window || !running)
    return;
  if (SetTimer(window->GetHandle(), FEventID, FInterval, nullptr) != 0)
    running->Add(reinterpret_cast<void*>(FEventID));
}

void TcxTimer::Stop()
{
  if (!GetTimerOn())
    return;
  RunningTimers->Remove(reinterpret_cast<void*>(FEventID));
  if (TimerWindow)
    KillTimer(TimerWindow->GetHandle(), FEventID);
}

TcxTimer* cxNewTimer(unsigned AInterval, bool AEnabled, rtl::TNotifyEvent AOnTimer)
{
  TcxTimer* timer = rtl::New<TcxTimer>(nullptr);
  timer->SetEnabled(AEnabled);
  timer->SetInterval(AInterval);
  timer->SetOnTimer(AOnTimer);
  return timer;
}
