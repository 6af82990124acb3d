#include "core/dxThreading.h"

#include <algorithm>
#include <iterator>
#include <vector>
#include <utility>

TdxQueueUserWorkItemFunc dxQueueUserWorkItemFunc = nullptr;
bool dxMultiThreadingAvailable = false;
bool dxEnableMultiThreading = true;

namespace {

TdxMultithreadedSort* SharedSort;
TdxMultithreadedListIterator* SharedListIterator;
TdxTaskDispatcher* SharedTaskDispatcher;

// Task handles are numbered, never reused while the process lives.
constinit std::atomic<UINT_PTR> LastTaskHandle{0};

UINT_PTR NewTaskHandle()
{
  UINT_PTR handle;
  do
    handle = ++LastTaskHandle;
  while (handle == 0);
  return handle;
}

class TLockGuard {
 public:
  explicit TLockGuard(rtl::TCriticalSection* ALock) : FLock(ALock) { FLock->Enter(); }
  ~TLockGuard() { FLock->Leave(); }
  TLockGuard(const TLockGuard&) = delete;
  TLockGuard& operator=(const TLockGuard&) = delete;

 private:
  rtl::TCriticalSection* FLock;
};

class TOperationUnlocker {
 public:
  explicit TOperationUnlocker(TdxMultithreadOperation* AOperation) : FOperation(AOperation) {}
  ~TOperationUnlocker() { FOperation->Unlock(); }
  TOperationUnlocker(const TOperationUnlocker&) = delete;
  TOperationUnlocker& operator=(const TOperationUnlocker&) = delete;

 private:
  TdxMultithreadOperation* FOperation;
};

void dxThreadingStartUp()
{
  // Pins the starting thread as the main thread unless the program did, so a
  // pool thread asking first can never become it.
  rtl::MainThreadID();
  HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
  dxQueueUserWorkItemFunc =
      kernel32 ? reinterpret_cast<TdxQueueUserWorkItemFunc>(GetProcAddress(kernel32, "QueueUserWorkItem")) : nullptr;
  dxMultiThreadingAvailable = dxQueueUserWorkItemFunc && rtl::TThread::ProcessorCount() > 1;
  if (dxMultiThreadingAvailable) {
    rtl::IsMultiThread = true;
    SharedSort = rtl::New<TdxMultithreadedSort>(rtl::TThread::ProcessorCount() * 4);
    SharedListIterator = rtl::New<TdxMultithreadedListIterator>(rtl::TThread::ProcessorCount());
  }
  SharedTaskDispatcher = rtl::New<TdxTaskDispatcher>();
  TdxUIThreadSyncService::Initialize();
}

void dxThreadingFinish()
{
  rtl::FreeAndNil(SharedTaskDispatcher);
  rtl::FreeAndNil(SharedSort);
  rtl::FreeAndNil(SharedListIterator);
  TdxUIThreadSyncService::Finalize();
}

}  // namespace

RTL_UNIT(dxThreading, &dxThreadingStartUp, &dxThreadingFinish);

bool dxCanUseMultiThreading()
{
  return dxMultiThreadingAvailable && dxEnableMultiThreading;
}

TdxMultithreadedSort* dxMultithreadedSort()
{
  return SharedSort;
}

TdxMultithreadedListIterator* dxMultithreadedListIterator()
{
  return SharedListIterator;
}

TdxTaskDispatcher* dxTaskDispatcher()
{
  return SharedTaskDispatcher;
}

// ---------------------------------------------------------------------------
// TdxThreadPoolHelper

void TdxThreadPoolHelper::Create()
{
  inherited::Create();
  rtl::IsMultiThread = true;
}

void TdxThreadPoolHelper::Destroy()
{
  DestroyEvent();
  inherited::Destroy();
}

void TdxThreadPoolHelper::CreateEvent()
{
  if (!FEvent)
    FEvent = rtl::New<rtl::TSimpleEvent>();
}

void TdxThreadPoolHelper::DestroyEvent()
{
  rtl::FreeAndNil(FEvent);
}

void TdxThreadPoolHelper::Initialize(int ANumThreads, bool ACreateEvent)
{
  if (ACreateEvent)
    CreateEvent();
  FTaskCount = std::clamp(ANumThreads, 0, MaxWorkItems);
  FRunningTaskCount = FTaskCount;
  FTaskIndex = 0;
}

void TdxThreadPoolHelper::QueueWorkItem(rtl::TObject* ASender, TdxThreadPoolObjectProc AObjectProc, void* AContext,
                                        ULONG AFlags)
{
  if (!AObjectProc)
    return;
  TWorkItem& item = NextWorkItem();
  item.Sender = ASender;
  item.Context = AContext;
  item.ObjectProc = AObjectProc;
  Queue(item, AFlags);
}

void TdxThreadPoolHelper::QueueWorkItem(TdxThreadPoolProc AProc, void* AContext, ULONG AFlags)
{
  if (!AProc)
    return;
  TWorkItem& item = NextWorkItem();
  item.Context = AContext;
  item.Proc = AProc;
  Queue(item, AFlags);
}

TdxThreadPoolHelper::TWorkItem& TdxThreadPoolHelper::NextWorkItem()
{
  // Beyond the expected count the counter would reach 0 while items still
  // run, and beyond 32 there is no slot.
  if (FTaskIndex >= FTaskCount)
    throw rtl::EInvalidOperation(L"More work items than the thread pool helper was initialized for");
  TWorkItem& item = FWorkItems[FTaskIndex++];
  item = TWorkItem{this, nullptr, nullptr, nullptr, nullptr};
  return item;
}

void TdxThreadPoolHelper::Queue(TWorkItem& AItem, ULONG AFlags)
{
  // The last item to finish sets the event, so it must exist before any item
  // can run.
  CreateEvent();
  const TdxQueueUserWorkItemFunc queue = dxQueueUserWorkItemFunc;
  // Once other items run, raising here would leave the counter above 0 for
  // ever and the wait below hanging; the refused chunk runs here instead.
  if (!queue || !queue(&WorkItemProc, &AItem, AFlags))
    RunWorkItem(AItem);
}

void TdxThreadPoolHelper::RunWorkItem(TWorkItem& AItem) noexcept
{
  TdxThreadPoolHelper* helper = AItem.Helper;
  try {
    if (AItem.Proc)
      AItem.Proc(AItem.Context);
    else
      AItem.ObjectProc(AItem.Sender, AItem.Context);
  } catch (...) {
    // The operation goes on with its other items.
  }
  // The helper may be gone as soon as another thread sees the event; nothing
  // of it is touched after the last decrement.
  if (--helper->FRunningTaskCount == 0)
    SetEvent(helper->FEvent->Handle());
}

DWORD WINAPI TdxThreadPoolHelper::WorkItemProc(LPVOID AWorkItem)
{
  RunWorkItem(*static_cast<TWorkItem*>(AWorkItem));
  if (!SwitchToThread())
    Sleep(0);
  return 0;
}

void TdxThreadPoolHelper::WaitForThreads(bool ADestroyEvent)
{
  // Items expected but never queued (an unassigned procedure, a queue that
  // raised) would never count down.
  bool wait = FTaskIndex > 0;
  const int unqueued = FTaskCount - FTaskIndex;
  if (unqueued > 0 && (FRunningTaskCount -= unqueued) == 0)
    wait = false;
  FTaskCount = FTaskIndex;
  if (wait)
    FEvent->WaitFor(INFINITE);
  if (ADestroyEvent)
    DestroyEvent();
  else if (FEvent)
    FEvent->ResetEvent();
}

// ---------------------------------------------------------------------------
// TdxMultithreadOperation

void TdxMultithreadOperation::Create(int AThreadCount)
{
  inherited::Create();
  FThreadCount = std::clamp(AThreadCount, 1, TdxThreadPoolHelper::MaxWorkItems);
  FThreadPoolHelper = rtl::New<TdxThreadPoolHelper>();
}

void TdxMultithreadOperation::Create()
{
  Create(rtl::TThread::ProcessorCount());
}

void TdxMultithreadOperation::Destroy()
{
  rtl::FreeAndNil(FThreadPoolHelper);
  inherited::Destroy();
}

bool TdxMultithreadOperation::Lock()
{
  LONG expected = 0;
  return FLocked.compare_exchange_strong(expected, 1);
}

void TdxMultithreadOperation::Unlock()
{
  LONG expected = 1;
  FLocked.compare_exchange_strong(expected, 0);
}

// ---------------------------------------------------------------------------
// TdxMultithreadedSort

void TdxMultithreadedSort::Sort(PdxPointerList AList, int ACount, const TCompareItems& ACompareFunc)
{
  if (!Lock()) {
    dxSortItemsSequential(AList, ACount, ACompareFunc);
    return;
  }
  TOperationUnlocker unlocker(this);
  FCompareClassFunc = ACompareFunc;
  FCompareFunc = nullptr;
  SortInChunks(AList, ACount);
}

void TdxMultithreadedSort::Sort(TdxFastList* AList, const TCompareItems& ACompareFunc)
{
  Sort(AList->GetList(), AList->GetCount(), ACompareFunc);
}

void TdxMultithreadedSort::Sort(PdxPointerList AList, int ACount, rtl::TListSortCompare ACompareFunc)
{
  if (!Lock()) {
    dxSortItemsSequential(AList, ACount, ACompareFunc);
    return;
  }
  TOperationUnlocker unlocker(this);
  FCompareClassFunc = nullptr;
  FCompareFunc = ACompareFunc;
  SortInChunks(AList, ACount);
}

void TdxMultithreadedSort::Sort(TdxFastList* AList, rtl::TListSortCompare ACompareFunc)
{
  Sort(AList->GetList(), AList->GetCount(), ACompareFunc);
}

int TdxMultithreadedSort::GetSortChunkCount(int ACount) const
{
  if (ACount < 32 || GetThreadCount() == 1)
    return 1;
  return GetThreadCount() <= 3 ? 8 : MaxSortChunks;
}

void TdxMultithreadedSort::SortInChunks(PdxPointerList AList, int ACount)
{
  if (AList == nullptr || ACount <= 1)
    return;
  FCount = ACount;
  FSortChunkCount = GetSortChunkCount(ACount);
  FFailed = false;
  FFailure = nullptr;
  const int chunkSize = ACount / FSortChunkCount;
  const int longerChunks = ACount % FSortChunkCount;
  for (int i = 0, start = 0; i < FSortChunkCount; ++i) {
    const int size = chunkSize + (i < longerChunks ? 1 : 0);
    FSortChunks[i] = {AList, start, start + size - 1};
    start += size;
  }

  TdxThreadPoolHelper* helper = GetThreadPoolHelper();
  const auto sortChunk = TdxThreadPoolObjectProc::Bind<&TdxMultithreadedSort::SortChunk>(this);
  const auto mergeChunks = TdxThreadPoolObjectProc::Bind<&TdxMultithreadedSort::MergeChunks>(this);
  // Queueing never raises here: every item is assigned and within the count,
  // and a refused item runs in this thread.
  helper->Initialize(FSortChunkCount, false);
  for (int i = 0; i < FSortChunkCount; ++i)
    helper->QueueWorkItem(this, sortChunk, &FSortChunks[i]);
  helper->WaitForThreads(false);

  if (FSortChunkCount > 1 && !FFailed) {
    std::vector<void*> temp(ACount);
    FTempList = temp.data();
    for (int n = FSortChunkCount / 2; n > 0 && !FFailed; n /= 2) {
      // The table is brought up to date here, between the rounds: the items
      // of a round read only their own merge.
      for (int i = 0; i < n; ++i) {
        const TSortWorkItem& left = FSortChunks[2 * i];
        const TSortWorkItem& right = FSortChunks[2 * i + 1];
        FMerges[i] = {AList, left.StartIndex, left.EndIndex, right.EndIndex};
        FSortChunks[i] = {AList, left.StartIndex, right.EndIndex};
      }
      helper->Initialize(n, false);
      for (int i = 0; i < n; ++i)
        helper->QueueWorkItem(this, mergeChunks, &FMerges[i]);
      helper->WaitForThreads(false);
    }
    FTempList = nullptr;
  }
  if (FFailed)
    std::rethrow_exception(std::exchange(FFailure, nullptr));
}

template <class F>
void TdxMultithreadedSort::Guarded(F&& AWork) noexcept
{
  try {
    AWork();
  } catch (...) {
    // The pool thread would swallow it; the caller gets the first one.
    if (!FFailed.exchange(true))
      FFailure = std::current_exception();
  }
}

void TdxMultithreadedSort::SortChunk(rtl::TObject* /*ASender*/, void* AChunk)
{
  const TSortWorkItem& chunk = *static_cast<const TSortWorkItem*>(AChunk);
  Guarded([&] { SortSequential(chunk.List + chunk.StartIndex, chunk.EndIndex - chunk.StartIndex + 1); });
}

void TdxMultithreadedSort::SortSequential(PdxPointerList AList, int ACount)
{
  if (FCompareFunc)
    dxSortItemsSequential(AList, ACount, FCompareFunc);
  else
    dxSortItemsSequential(AList, ACount, FCompareClassFunc);
}

int TdxMultithreadedSort::Compare(void* AItem1, void* AItem2) const
{
  return FCompareFunc ? FCompareFunc(AItem1, AItem2) : FCompareClassFunc(AItem1, AItem2);
}

void TdxMultithreadedSort::MergeChunks(rtl::TObject* /*ASender*/, void* AMerge)
{
  const TMergeWorkItem& merge = *static_cast<const TMergeWorkItem*>(AMerge);
  Guarded([&] {
    // Merged into the temporary array first and copied back only when done:
    // a compare routine that raises halfway leaves the two runs as they were
    // instead of losing some items and doubling others. Each run is bounded
    // by its own end, whatever the compare routine answers.
    void** const list = merge.List;
    void** out = FTempList + merge.StartIndex;
    int left = merge.StartIndex;
    int right = merge.MidIndex + 1;
    while (left <= merge.MidIndex && right <= merge.EndIndex)
      *out++ = Compare(list[left], list[right]) >= 0 ? list[right++] : list[left++];
    out = std::copy(list + left, list + merge.MidIndex + 1, out);
    std::copy(list + right, list + merge.EndIndex + 1, out);
    std::copy(FTempList + merge.StartIndex, FTempList + merge.EndIndex + 1, list + merge.StartIndex);
  });
}

// ---------------------------------------------------------------------------
// Iterators

void* TdxCustomMultithreadedIterator::GetChunkContext(int /*AChunkIndex*/, void* AContext)
{
  return AContext;
}

int TdxCustomMultithreadedIterator::IterateChunks(int AStartIndex, int AEndIndex, void* AContext, bool AReverse)
{
  FFinishedIndex = -1;
  if (AEndIndex < AStartIndex)
    return -1;
  FStartIndex = AStartIndex;
  FEndIndex = AEndIndex;
  FReverse = AReverse;
  FCount = AEndIndex - AStartIndex + 1;
  FChunkCount = std::min({FCount, GetThreadCount(), TdxThreadPoolHelper::MaxWorkItems});
  BeforeIterate();

  TdxThreadPoolHelper* helper = GetThreadPoolHelper();
  helper->Initialize(FChunkCount, true);
  const int chunkSize = FCount / FChunkCount;
  const int longerChunks = FCount % FChunkCount;
  int start = AStartIndex;
  try {
    for (int i = 0; i < FChunkCount; ++i) {
      const int size = chunkSize + (i < longerChunks ? 1 : 0);
      FChunks[i] = {GetChunkContext(i, AContext), start, start + size - 1, AReverse};
      start += size;
      helper->QueueWorkItem(this, TdxThreadPoolObjectProc::Bind<&TdxCustomMultithreadedIterator::IterateChunk>(this),
                            &FChunks[i]);
    }
  } catch (...) {
    // Chunks already queued still use this object.
    helper->WaitForThreads(true);
    throw;
  }
  helper->WaitForThreads(true);
  return FFinishedIndex;
}

void TdxCustomMultithreadedIterator::IterateChunk(rtl::TObject* /*ASender*/, void* AChunk)
{
  const TIterateChunkWorkItem& chunk = *static_cast<const TIterateChunkWorkItem*>(AChunk);
  const int step = chunk.Reverse ? -1 : 1;
  const int last = chunk.Reverse ? chunk.StartIndex : chunk.EndIndex;
  for (int i = chunk.Reverse ? chunk.EndIndex : chunk.StartIndex;; i += step) {
    if (FFinishedIndex.load() >= 0)
      return;
    if (IterateItem(chunk.Context, i)) {
      FFinishedIndex.exchange(i);
      return;
    }
    if (i == last)
      return;
  }
}

int TdxMultithreadedClassMethodIterator::IterateItems(int AStartIndex, int AEndIndex, void* AContext,
                                                      const TdxIterateItemObjectFunc& AItemObjectFunc, bool AReverse)
{
  FItemObjectFunc = AItemObjectFunc;
  return IterateChunks(AStartIndex, AEndIndex, AContext, AReverse);
}

bool TdxMultithreadedClassMethodIterator::IterateItem(void* AContext, int AIndex)
{
  return FItemObjectFunc(AContext, AIndex);
}

template <class F>
int TdxMultithreadedListIterator::IterateSequential(int ACount, bool AReverse, F&& AItem)
{
  if (AReverse) {
    for (int i = ACount - 1; i >= 0; --i)
      if (AItem(i))
        return i;
  } else {
    for (int i = 0; i < ACount; ++i)
      if (AItem(i))
        return i;
  }
  return -1;
}

int TdxMultithreadedListIterator::Iterate(void* AContext, int ACount, const TdxIterateItemObjectFunc& AItemFunc,
                                          bool AReverse)
{
  if (ACount <= 0)
    return -1;
  if (ACount > 1 && dxCanUseMultiThreading() && Lock()) {
    TOperationUnlocker unlocker(this);
    return IterateItems(0, ACount - 1, AContext, AItemFunc, AReverse);
  }
  return IterateSequential(ACount, AReverse, [&](int AIndex) { return AItemFunc(AContext, AIndex); });
}

template <class L, class F>
int TdxMultithreadedListIterator::IterateList(L* AList, int ACount, const F& AItemFunc, F& AStored,
                                              const TdxIterateItemObjectFunc& AAdapter, bool AReverse)
{
  if (ACount <= 0)
    return -1;
  if (ACount > 1 && dxCanUseMultiThreading() && Lock()) {
    TOperationUnlocker unlocker(this);
    AStored = AItemFunc;
    return IterateItems(0, ACount - 1, AList, AAdapter, AReverse);
  }
  return IterateSequential(ACount, AReverse, [&](int AIndex) { return AItemFunc(AList, AIndex); });
}

int TdxMultithreadedListIterator::Iterate(TdxFastList* AList, const TdxFastListItemFunc& AItemFunc, bool AReverse)
{
  return IterateList(AList, AList ? AList->GetCount() : 0, AItemFunc, FFastListItemFunc,
                     TdxIterateItemObjectFunc::Bind<&TdxMultithreadedListIterator::FastListItem>(this), AReverse);
}

int TdxMultithreadedListIterator::Iterate(rtl::TList* AList, const TdxListItemFunc& AItemFunc, bool AReverse)
{
  return IterateList(AList, AList ? AList->GetCount() : 0, AItemFunc, FListItemFunc,
                     TdxIterateItemObjectFunc::Bind<&TdxMultithreadedListIterator::ListItem>(this), AReverse);
}

int TdxMultithreadedListIterator::Iterate(rtl::TStrings* AStrings, const TdxStringsListItemFunc& AItemFunc,
                                          bool AReverse)
{
  return IterateList(AStrings, AStrings ? AStrings->GetCount() : 0, AItemFunc, FStringsItemFunc,
                     TdxIterateItemObjectFunc::Bind<&TdxMultithreadedListIterator::StringsItem>(this), AReverse);
}

bool TdxMultithreadedListIterator::FastListItem(void* AContext, int AIndex)
{
  return FFastListItemFunc(static_cast<TdxFastList*>(AContext), AIndex);
}

bool TdxMultithreadedListIterator::ListItem(void* AContext, int AIndex)
{
  return FListItemFunc(static_cast<rtl::TList*>(AContext), AIndex);
}

bool TdxMultithreadedListIterator::StringsItem(void* AContext, int AIndex)
{
  return FStringsItemFunc(static_cast<rtl::TStrings*>(AContext), AIndex);
}

// ---------------------------------------------------------------------------
// TdxTaskEvent

void TdxTaskEvent::Create()
{
  inherited::Create();
  FHandle = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!FHandle)
    rtl::RaiseLastOSError();
}

void TdxTaskEvent::Destroy()
{
  if (FHandle)
    CloseHandle(FHandle);
  inherited::Destroy();
}

bool __stdcall TdxTaskEvent::Signal()
{
  return SetEvent(FHandle) != FALSE;
}

rtl::TWaitResult __stdcall TdxTaskEvent::WaitFor(DWORD ATimeOut)
{
  if (GetCurrentThreadId() == rtl::MainThreadID())
    return WaitForInMainThread(ATimeOut);
  switch (WaitForSingleObject(FHandle, ATimeOut)) {
    case WAIT_OBJECT_0:
      return rtl::wrSignaled;
    case WAIT_ABANDONED:
      return rtl::wrAbandoned;
    case WAIT_TIMEOUT:
      return rtl::wrTimeout;
    default:
      return rtl::wrError;
  }
}

rtl::TWaitResult TdxTaskEvent::WaitForInMainThread(DWORD ATimeOut)
{
  constexpr DWORD Slice = 100;
  const HANDLE handles[2] = {FHandle, rtl::SyncEvent()};
  while (ATimeOut > 0) {
    const DWORD slice = std::min(ATimeOut, Slice);
    switch (MsgWaitForMultipleObjects(2, handles, FALSE, slice, QS_SENDMESSAGE)) {
      case WAIT_OBJECT_0:
        return rtl::wrSignaled;
      case WAIT_OBJECT_0 + 1:
        rtl::CheckSynchronize();
        break;
      case WAIT_OBJECT_0 + 2: {
        // Removes nothing; delivers the messages other threads send us.
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
        break;
      }
      case WAIT_TIMEOUT:
        break;
      case WAIT_ABANDONED_0:
      case WAIT_ABANDONED_0 + 1:
        return rtl::wrAbandoned;
      default:
        return rtl::wrError;
    }
    if (ATimeOut != INFINITE)
      ATimeOut -= slice;
  }
  return rtl::wrTimeout;
}

// ---------------------------------------------------------------------------
// TdxTask

void TdxTask::Create()
{
  inherited::Create();
  FHandle = NewTaskHandle();
  FOnCompleteMode = tmcmAsync;
}

void TdxTask::DoComplete()
{
  if (!FOnComplete)
    return;
  switch (FOnCompleteMode) {
    case tmcmAsync:
      FOnComplete();
      break;
    case tmcmSync:
      rtl::TThread::Synchronize(nullptr, FOnComplete);
      break;
    case tmcmSyncPostponed:
      rtl::TThread::Queue(nullptr, FOnComplete);
      break;
  }
}

TdxTaskCancelCallback TdxTask::CancelCheck()
{
  return TdxTaskCancelCallback::Bind<&TdxTask::CheckCanceled>(this);
}

bool TdxTask::CheckCanceled()
{
  return GetCanceled();
}

void TdxTaskDispatcher::TProcWrapper::Create(TdxTaskProc AProc)
{
  inherited::Create();
  FProc = std::move(AProc);
}

void TdxTaskDispatcher::TProcWrapper::Execute()
{
  if (FProc)
    FProc(CancelCheck());
}

void TdxTaskDispatcher::TTaskWrapper::Create(const rtl::IPtr<IdxTask>& ATask)
{
  inherited::Create();
  FTask = ATask;
  FCompletedStatus = TdxTaskCompletedStatus::Success;
}

void TdxTaskDispatcher::TTaskWrapper::DoComplete()
{
  rtl::TThread::Synchronize(nullptr, rtl::TThreadMethod::Bind<&TTaskWrapper::CompleteTask>(this));
}

void TdxTaskDispatcher::TTaskWrapper::Execute()
{
  if (FTask)
    FCompletedStatus = FTask->Run(CancelCheck());
}

void TdxTaskDispatcher::TTaskWrapper::CompleteTask()
{
  if (FTask)
    FTask->Complete(FCompletedStatus);
}

// ---------------------------------------------------------------------------
// TdxTaskDispatcher

void TdxTaskDispatcher::Create()
{
  inherited::Create();
  FLock = rtl::New<rtl::TCriticalSection>(DWORD{1024});
  FMaxActiveTasks = rtl::TThread::ProcessorCount() + 2;
}

void TdxTaskDispatcher::BeforeDestruction()
{
  FMaxActiveTasks = 0;
  {
    TLockGuard guard(FLock);
    for (TdxTask* task : FActiveTasks)
      task->FCanceled.exchange(1);
  }
  for (;;) {
    UINT_PTR handle;
    {
      TLockGuard guard(FLock);
      if (FActiveTasks.empty())
        break;
      handle = FActiveTasks.front()->GetHandle();
    }
    Cancel(handle, INFINITE);
  }
  inherited::BeforeDestruction();
}

void TdxTaskDispatcher::Destroy()
{
  if (FCpuUsageMonitorWindow) {
    KillTimer(FCpuUsageMonitorWindow, 1);
    rtl::DeallocateHWnd(FCpuUsageMonitorWindow);
    FCpuUsageMonitorWindow = nullptr;
  }
  for (TdxTask* task : FTasks)
    rtl::Free(task);
  FTasks.clear();
  rtl::FreeAndNil(FLock);
  inherited::Destroy();
}

UINT_PTR TdxTaskDispatcher::Run(const rtl::IPtr<IdxTask>& ATask)
{
  return Run(rtl::New<TTaskWrapper>(ATask));
}

UINT_PTR TdxTaskDispatcher::Run(const TdxTaskProc& AProc)
{
  return Run(rtl::New<TProcWrapper>(AProc));
}

UINT_PTR TdxTaskDispatcher::Run(const TdxTaskProc& AProc, rtl::TThreadMethod ACompleteEvent,
                                TdxThreadMethodCallMode ACompleteEventCallMode)
{
  return Run(rtl::New<TProcWrapper>(AProc), ACompleteEvent, ACompleteEventCallMode);
}

UINT_PTR TdxTaskDispatcher::Run(TdxTask* ATask, rtl::TThreadMethod ACompleteEvent,
                                TdxThreadMethodCallMode ACompleteEventCallMode)
{
  // Read now: once started, the task may end and be freed at any moment.
  const UINT_PTR handle = ATask->GetHandle();
  try {
    TLockGuard guard(FLock);
    ATask->FOnComplete = ACompleteEvent;
    ATask->FOnCompleteMode = ACompleteEventCallMode;
    FTasks.push_back(ATask);
  } catch (...) {
    rtl::Free(ATask);
    throw;
  }
  TryStartNextTask();
  return handle;
}

UINT_PTR TdxTaskDispatcher::RunInCurrentThread(TdxTask* ATask)
{
  rtl::TOwnedPtr<TdxTask> task(ATask);
  try {
    task->Execute();
  } catch (...) {
    task->DoComplete();
    throw;
  }
  task->DoComplete();
  return 0;
}

rtl::TWaitResult TdxTaskDispatcher::Cancel(UINT_PTR ATaskHandle, DWORD AWaitTimeOut)
{
  rtl::IPtr<IdxTaskEvent> event;
  TdxTask* waiting = nullptr;
  {
    TLockGuard guard(FLock);
    if (const int index = FindWaitingTask(ATaskHandle); index >= 0) {
      waiting = FTasks[index];
      FTasks.erase(FTasks.begin() + index);
      waiting->FCanceled.exchange(1);
    } else if (TdxTask* task = FindActiveTask(ATaskHandle)) {
      task->FCanceled.exchange(1);
      event = task->FEvent;
    }
  }
  if (waiting) {
    // Completed outside the lock: a completion that runs on the main thread
    // (Synchronize) would otherwise wait for a main thread that may itself be
    // waiting for the lock.
    rtl::TOwnedPtr<TdxTask> task(waiting);
    task->DoComplete();
    return rtl::wrSignaled;
  }
  return event ? event->WaitFor(AWaitTimeOut) : rtl::wrAbandoned;
}

rtl::TWaitResult TdxTaskDispatcher::WaitFor(UINT_PTR ATaskHandle, DWORD AWaitTimeOut)
{
  rtl::IPtr<IdxTaskEvent> event;
  TdxTask* toStart = nullptr;
  {
    TLockGuard guard(FLock);
    TdxTask* task = nullptr;
    if (const int index = FindWaitingTask(ATaskHandle); index >= 0)
      task = toStart = TakeWaitingTask(index);
    else
      task = FindActiveTask(ATaskHandle);
    if (task)
      event = task->FEvent;
  }
  // Waiting for a task that nobody would start before the wait ends is
  // pointless: it starts now, beyond the limit.
  if (toStart)
    StartTask(toStart);
  return event ? event->WaitFor(AWaitTimeOut) : rtl::wrAbandoned;
}

bool TdxTaskDispatcher::WaitFor(UINT_PTR ATaskHandle)
{
  const rtl::TWaitResult result = WaitFor(ATaskHandle, INFINITE);
  return result == rtl::wrSignaled || result == rtl::wrAbandoned;
}

bool TdxTaskDispatcher::IsCurrentTaskCanceled()
{
  const DWORD thread = GetCurrentThreadId();
  TLockGuard guard(FLock);
  for (TdxTask* task : FActiveTasks)
    if (task->FThreadId == thread)
      return task->GetCanceled();
  return false;
}

void TdxTaskDispatcher::SetMaxActiveTasks(int AValue)
{
  AValue = std::max(AValue, 1);
  if (FMaxActiveTasks.exchange(AValue) != AValue)
    TryStartNextTask();
}

void TdxTaskDispatcher::SetUseCpuUsageMonitor(bool AValue)
{
  if (GetCurrentThreadId() != rtl::MainThreadID())
    throw rtl::EInvalidOperation(ClassName());
  if (AValue) {
    // A timer of our own on a hidden window of the main thread: the ticks
    // belong to the main thread, as the setting does.
    if (!FCpuUsageMonitorWindow)
      FCpuUsageMonitorWindow = rtl::AllocateHWnd(rtl::TWndMethod::Bind<&TdxTaskDispatcher::MonitorWndProc>(this));
    SetTimer(FCpuUsageMonitorWindow, 1, 1000, nullptr);
  } else if (FCpuUsageMonitorWindow) {
    KillTimer(FCpuUsageMonitorWindow, 1);
  }
  FCpuUsageMonitorEnabled = AValue;
  FCpuUsageSampleCount = 0;
}

void TdxTaskDispatcher::MonitorWndProc(rtl::TMessage& AMessage)
{
  if (AMessage.Msg == WM_TIMER && FCpuUsageMonitorEnabled)
    CpuUsageMonitorTimer();
  else
    AMessage.Result = DefWindowProcW(FCpuUsageMonitorWindow, AMessage.Msg, AMessage.WParam, AMessage.LParam);
}

void TdxTaskDispatcher::CpuUsageMonitorTimer()
{
  const int Samples = static_cast<int>(std::size(FCpuUsageLog));
  std::move_backward(FCpuUsageLog, FCpuUsageLog + Samples - 1, FCpuUsageLog + Samples);
  FCpuUsageLog[0] = GetCPUUsage();
  FCpuUsageSampleCount = std::min(FCpuUsageSampleCount + 1, Samples);
  if (FCpuUsageSampleCount < Samples)
    return;
  int sum = 0;
  for (int sample : FCpuUsageLog)
    sum += sample;
  if (sum / Samples > 80)
    return;
  TdxTask* task = nullptr;
  {
    TLockGuard guard(FLock);
    if (!FTasks.empty()) {
      task = TakeFirstWaitingTask();
      FCpuUsageSampleCount = 0;
    }
  }
  if (task)
    StartTask(task);
}

int TdxTaskDispatcher::GetCPUUsage()
{
  return rtl::TThread::GetCPUUsage(FPrevSystemTimes);
}

TdxTask* TdxTaskDispatcher::FindActiveTask(UINT_PTR AHandle) const
{
  for (TdxTask* task : FActiveTasks)
    if (task->GetHandle() == AHandle)
      return task;
  return nullptr;
}

int TdxTaskDispatcher::FindWaitingTask(UINT_PTR AHandle) const
{
  for (std::size_t i = 0; i < FTasks.size(); ++i)
    if (FTasks[i]->GetHandle() == AHandle)
      return static_cast<int>(i);
  return -1;
}

TdxTask* TdxTaskDispatcher::TakeFirstWaitingTask()
{
  return FTasks.empty() ? nullptr : TakeWaitingTask(0);
}

TdxTask* TdxTaskDispatcher::TakeWaitingTask(int AIndex)
{
  TdxTask* task = FTasks[AIndex];
  rtl::IPtr<IdxTaskEvent> event(rtl::New<TdxTaskEvent>());
  FActiveTasks.push_back(task);
  FTasks.erase(FTasks.begin() + AIndex);
  task->FOwner = this;
  task->FEvent = std::move(event);
  return task;
}

void TdxTaskDispatcher::TryStartNextTask()
{
  TdxTask* task = nullptr;
  {
    TLockGuard guard(FLock);
    if (static_cast<int>(FActiveTasks.size()) < FMaxActiveTasks)
      task = TakeFirstWaitingTask();
  }
  if (task)
    StartTask(task);
}

void TdxTaskDispatcher::StartTask(TdxTask* ATask)
{
  while (ATask) {
    const TdxQueueUserWorkItemFunc queue = dxQueueUserWorkItemFunc;
    if (queue && queue(&TaskProc, ATask, WT_EXECUTELONGFUNCTION))
      return;
    // Without the pool, or refused by it: the task runs here, and so does
    // the next one it lets start, which would otherwise wait for a task end
    // that may never come.
    ATask = RunTask(ATask);
  }
}

DWORD WINAPI TdxTaskDispatcher::TaskProc(LPVOID ATask)
{
  TdxTask* task = static_cast<TdxTask*>(ATask);
  TdxTaskDispatcher* owner = task->FOwner;
  // The next task is active already, so the dispatcher outlives its start.
  if (TdxTask* next = RunTask(task)) {
    try {
      owner->StartTask(next);
    } catch (...) {
    }
  }
  return 0;
}

TdxTask* TdxTaskDispatcher::RunTask(TdxTask* ATask) noexcept
{
  ATask->FThreadId = GetCurrentThreadId();
  try {
    try {
      ATask->Execute();
    } catch (...) {
      ATask->DoComplete();
      throw;
    }
    ATask->DoComplete();
  } catch (...) {
    // Background work has nobody to tell.
  }
  return ATask->FOwner->TaskFinished(ATask);
}

TdxTask* TdxTaskDispatcher::TaskFinished(TdxTask* ATask) noexcept
{
  rtl::IPtr<IdxTaskEvent> event;
  TdxTask* next = nullptr;
  {
    TLockGuard guard(FLock);
    std::erase(FActiveTasks, ATask);
    event = std::move(ATask->FEvent);
    try {
      if (static_cast<int>(FActiveTasks.size()) < FMaxActiveTasks)
        next = TakeFirstWaitingTask();
    } catch (...) {
      // No event for the next task now; it starts on a later attempt.
    }
  }
  try {
    rtl::Free(ATask);
  } catch (...) {
  }
  // Past this point a waiter may free the dispatcher, unless a next task
  // keeps it alive.
  if (event)
    event->Signal();
  return next;
}

// ---------------------------------------------------------------------------
// TdxUIThreadSyncService

HWND TdxUIThreadSyncService::FWindow = nullptr;
std::deque<TdxUIThreadSyncService::TEnqueuedProcedure>* TdxUIThreadSyncService::FQueue = nullptr;
rtl::TCriticalSection* TdxUIThreadSyncService::FLock = nullptr;
constinit std::atomic<bool> TdxUIThreadSyncService::FShutDown{false};
TdxUIThreadSyncService::TReceiver TdxUIThreadSyncService::FReceiver;

void TdxUIThreadSyncService::Initialize()
{
  FLock = rtl::New<rtl::TCriticalSection>(DWORD{1024});
  FQueue = new std::deque<TEnqueuedProcedure>();
  FWindow = rtl::AllocateHWnd(rtl::TWndMethod::Bind<&TReceiver::WndProc>(&FReceiver));
  FShutDown = false;
}

void TdxUIThreadSyncService::Finalize()
{
  if (!FLock)
    return;
  std::deque<TEnqueuedProcedure> dropped;
  {
    TLockGuard guard(FLock);
    FShutDown = true;
    dropped.swap(*FQueue);
  }
  dropped.clear();
  delete FQueue;
  FQueue = nullptr;
  // The messages already posted reach the default handling now.
  MSG message;
  while (PeekMessageW(&message, FWindow, WM_SYNC, WM_SYNC, PM_REMOVE))
    DispatchMessageW(&message);
  rtl::DeallocateHWnd(FWindow);
  FWindow = nullptr;
  rtl::FreeAndNil(FLock);
}

HWND TdxUIThreadSyncService::Handle()
{
  return FWindow;
}

bool TdxUIThreadSyncService::IsShuttingDown()
{
  return FShutDown || !FLock;
}

void TdxUIThreadSyncService::EnqueueInvokeInUIThread(rtl::TObject* AOwner, rtl::TThreadProcedure AProcedure)
{
  if (IsShuttingDown())
    return;
  TLockGuard guard(FLock);
  // Checked again under the lock: the end step may have begun meanwhile.
  if (FShutDown)
    return;
  FQueue->push_back({AOwner, std::move(AProcedure)});
  PostMessageW(FWindow, WM_SYNC, 0, 0);
}

void TdxUIThreadSyncService::Unsubscribe(rtl::TObject* AListener)
{
  if (IsShuttingDown())
    return;
  // Released after the lock: a procedure's captures may do anything as they
  // go, queueing included.
  std::vector<TEnqueuedProcedure> removed;
  TLockGuard guard(FLock);
  if (FShutDown)
    return;
  for (std::size_t i = FQueue->size(); i-- > 0;)
    if ((*FQueue)[i].Owner == AListener) {
      removed.push_back(std::move((*FQueue)[i]));
      FQueue->erase(FQueue->begin() + static_cast<std::ptrdiff_t>(i));
    }
}

void TdxUIThreadSyncService::ProcessQueue()
{
  while (!IsShuttingDown()) {
    TEnqueuedProcedure entry;
    {
      TLockGuard guard(FLock);
      if (FQueue->empty())
        break;
      entry = std::move(FQueue->front());
      FQueue->pop_front();
    }
    try {
      if (entry.ProcedureRef)
        entry.ProcedureRef();
    } catch (...) {
      rtl::HandleCallbackException(entry.Owner);
    }
  }
}

void TdxUIThreadSyncService::TReceiver::WndProc(rtl::TMessage& AMessage)
{
  if (AMessage.Msg == WM_SYNC && !IsShuttingDown()) {
    ProcessQueue();
    AMessage.Result = 1;
  } else {
    AMessage.Result = DefWindowProcW(FWindow, AMessage.Msg, AMessage.WParam, AMessage.LParam);
  }
}
