#pragma once
// Work that crosses threads:
// - TdxThreadPoolHelper, which hands up to 32 work items to the system's
//   thread pool and waits for all of them;
// - TdxMultithreadOperation, the parallel sort and the parallel list
//   iterators built on it, with dxCanUseMultiThreading and the shared sort
//   and list iterator;
// - TdxTaskDispatcher, background tasks with a limit on how many run at
//   once, cancellation, waiting and completion callbacks, and the shared
//   dispatcher;
// - TdxUIThreadSyncService, procedures queued to run later on the
//   user-interface thread.
// No thread is created here: all parallel work goes to the pool function
// bound at unit start-up; without it the work runs in the calling thread.

#include <windows.h>

#include <atomic>
#include <concepts>
#include <deque>
#include <exception>
#include <functional>
#include <vector>

#include "core/dxCoreClasses.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/ClassesThreads.h"
#include "platform/rtl/SyncObjs.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemEvents.h"
#include "platform/rtl/SystemUnits.h"

RTL_DECLARE_UNIT(dxThreading);

// ---------------------------------------------------------------------------
// The pool function and the availability test

// kernel32's QueueUserWorkItem, bound by name at unit start-up; nil when the
// system lacks it. Tests put a fake in its place.
using TdxQueueUserWorkItemFunc = BOOL(WINAPI*)(LPTHREAD_START_ROUTINE AFunction, PVOID AContext, ULONG AFlags);
extern TdxQueueUserWorkItemFunc dxQueueUserWorkItemFunc;

// Set by the start step: the pool function is bound and there is more than
// one processor.
extern bool dxMultiThreadingAvailable;
// The process-wide switch that allows parallel work; on.
extern bool dxEnableMultiThreading;

// True when multithreading is available and allowed.
bool dxCanUseMultiThreading();

// ---------------------------------------------------------------------------
// Thread pool helper

// A work item's procedure: a plain one taking the context, or an object's
// taking the sender and the context.
using TdxThreadPoolProc = void (*)(void* AContext);
using TdxThreadPoolObjectProc = rtl::TMethod<void(rtl::TObject* ASender, void* AContext)>;

// Queues the work items of one operation and waits until all have run. Used
// by one operation at a time, between Initialize and WaitForThreads.
class TdxThreadPoolHelper : public rtl::TObject {
  RTL_CLASS(TdxThreadPoolHelper, rtl::TObject)

 public:
  static constexpr int MaxWorkItems = 32;

  void Create();
  void Destroy() override;

  void CreateEvent();
  void DestroyEvent();

  // Expects min(ANumThreads, 32) work items.
  void Initialize(int ANumThreads, bool ACreateEvent);
  // Queues the next work item. An unassigned procedure queues nothing. When
  // the pool refuses the item, it runs here, in the calling thread, so the
  // wait below still ends and no queued chunk's work is lost. Raises
  // EInvalidOperation beyond the count given to Initialize.
  void QueueWorkItem(rtl::TObject* ASender, TdxThreadPoolObjectProc AObjectProc, void* AContext, ULONG AFlags = 0);
  void QueueWorkItem(TdxThreadPoolProc AProc, void* AContext, ULONG AFlags = 0);
  // Waits until every queued item has run, then frees the event
  // (ADestroyEvent) or resets it. Items expected but never queued are not
  // waited for.
  void WaitForThreads(bool ADestroyEvent);

 private:
  struct TWorkItem {
    TdxThreadPoolHelper* Helper;
    rtl::TObject* Sender;
    void* Context;
    TdxThreadPoolObjectProc ObjectProc;
    TdxThreadPoolProc Proc;
  };

  static DWORD WINAPI WorkItemProc(LPVOID AWorkItem);
  static void RunWorkItem(TWorkItem& AItem) noexcept;
  TWorkItem& NextWorkItem();
  void Queue(TWorkItem& AItem, ULONG AFlags);

  std::atomic<LONG> FRunningTaskCount;
  int FTaskCount;
  int FTaskIndex;
  rtl::TSimpleEvent* FEvent;
  TWorkItem FWorkItems[MaxWorkItems];
};

// ---------------------------------------------------------------------------
// Multithreaded operations

// The base of an operation split over pool threads. One caller at a time
// (Lock); a second caller works sequentially instead of waiting.
class TdxMultithreadOperation : public rtl::TObject {
  RTL_CLASS(TdxMultithreadOperation, rtl::TObject)

 public:
  // AThreadCount is kept within 1..32.
  virtual void Create(int AThreadCount);
  // Create(number of processors).
  virtual void Create();
  void Destroy() override;

  // False when another caller holds the object.
  bool Lock();
  void Unlock();

  int GetThreadCount() const { return FThreadCount; }

 protected:
  TdxThreadPoolHelper* GetThreadPoolHelper() const { return FThreadPoolHelper; }

 private:
  std::atomic<LONG> FLocked;
  int FThreadCount;
  TdxThreadPoolHelper* FThreadPoolHelper;
};

// Sorts a pointer array in chunks on pool threads: each chunk with the
// sequential sort, then pairs of neighbouring chunks merged in rounds until
// one run is left. Not stable. The compare routine runs concurrently and must
// be thread-safe for the items it touches. A compare routine that raises
// leaves the items in some order, all of them still there, and the first
// exception raised is raised again in the caller once every item has ended.
class TdxMultithreadedSort : public TdxMultithreadOperation {
  RTL_CLASS(TdxMultithreadedSort, TdxMultithreadOperation)

 public:
  // Chunks: 1 below 32 items or with one thread, 8 with two or three
  // threads, else 16. Evenly paired off in every merge round.
  static constexpr int MaxSortChunks = 16;

  // When another caller is sorting with this object, the calling thread
  // sorts sequentially instead of waiting.
  void Sort(PdxPointerList AList, int ACount, const TCompareItems& ACompareFunc);
  void Sort(TdxFastList* AList, const TCompareItems& ACompareFunc);
  void Sort(PdxPointerList AList, int ACount, rtl::TListSortCompare ACompareFunc);
  void Sort(TdxFastList* AList, rtl::TListSortCompare ACompareFunc);

 private:
  struct TSortWorkItem {
    PdxPointerList List;
    int StartIndex;
    int EndIndex;
  };
  // Merges List[StartIndex..MidIndex] with List[MidIndex + 1..EndIndex].
  struct TMergeWorkItem {
    PdxPointerList List;
    int StartIndex;
    int MidIndex;
    int EndIndex;
  };

  int GetSortChunkCount(int ACount) const;
  void SortInChunks(PdxPointerList AList, int ACount);
  void SortSequential(PdxPointerList AList, int ACount);
  void SortChunk(rtl::TObject* ASender, void* AChunk);
  void MergeChunks(rtl::TObject* ASender, void* AMerge);
  // Runs AWork on one work item, keeping the first exception for the caller.
  template <class F>
  void Guarded(F&& AWork) noexcept;
  int Compare(void* AItem1, void* AItem2) const;

  TCompareItems FCompareClassFunc;
  rtl::TListSortCompare FCompareFunc;
  int FCount;
  int FSortChunkCount;
  TSortWorkItem FSortChunks[MaxSortChunks];
  TMergeWorkItem FMerges[MaxSortChunks / 2];
  PdxPointerList FTempList;
  std::atomic<bool> FFailed;
  std::exception_ptr FFailure;
};

// The shared sort (thread count = processors x 4, at most 32); nil unless
// multithreading is available, and after the unit has finished.
TdxMultithreadedSort* dxMultithreadedSort();

// Answers whether the item at AIndex is the one looked for.
using TdxIterateItemObjectFunc = rtl::TMethod<bool(void* AContext, int AIndex)>;

// Walks a range of indexes in chunks on pool threads until some item answers
// True.
class TdxCustomMultithreadedIterator : public TdxMultithreadOperation {
  RTL_CLASS(TdxCustomMultithreadedIterator, TdxMultithreadOperation)

 protected:
  struct TIterateChunkWorkItem {
    void* Context;
    int StartIndex;
    int EndIndex;
    bool Reverse;
  };

  virtual void* GetChunkContext(int AChunkIndex, void* AContext);
  virtual void BeforeIterate() {}
  // Answers the item of one chunk; runs concurrently on pool threads.
  virtual bool IterateItem(void* AContext, int AIndex) = 0;

  // Splits AStartIndex..AEndIndex into chunks, runs them and answers an
  // index whose item answered True, or -1.
  int IterateChunks(int AStartIndex, int AEndIndex, void* AContext, bool AReverse);

  int GetChunkCount() const { return FChunkCount; }

 private:
  void IterateChunk(rtl::TObject* ASender, void* AChunk);

  int FCount;
  int FStartIndex;
  int FEndIndex;
  std::atomic<int> FFinishedIndex;
  int FChunkCount;
  TIterateChunkWorkItem FChunks[TdxThreadPoolHelper::MaxWorkItems];
  bool FReverse;
};

class TdxMultithreadedClassMethodIterator : public TdxCustomMultithreadedIterator {
  RTL_CLASS(TdxMultithreadedClassMethodIterator, TdxCustomMultithreadedIterator)

 public:
  // Runs the chunks on pool threads; AItemObjectFunc must be thread-safe
  // for the items it touches. Answers some index whose item answered True
  // (when several do, whichever was stored last), or -1; an empty range
  // answers -1.
  int IterateItems(int AStartIndex, int AEndIndex, void* AContext, const TdxIterateItemObjectFunc& AItemObjectFunc,
                   bool AReverse);

 protected:
  bool IterateItem(void* AContext, int AIndex) override;

 private:
  TdxIterateItemObjectFunc FItemObjectFunc;
};

using TdxFastListItemFunc = rtl::TMethod<bool(TdxFastList* AList, int AIndex)>;
using TdxListItemFunc = rtl::TMethod<bool(rtl::TList* AList, int AIndex)>;
using TdxStringsListItemFunc = rtl::TMethod<bool(rtl::TStrings* AList, int AIndex)>;

// Finds an item of a list for which a callback answers True, on pool
// threads when that pays, else in the calling thread.
class TdxMultithreadedListIterator : public TdxMultithreadedClassMethodIterator {
  RTL_CLASS(TdxMultithreadedListIterator, TdxMultithreadedClassMethodIterator)

 public:
  // Each answers an index whose callback answered True, or -1. In parallel
  // when there are two items or more, multithreading can be used and the
  // object is free; else in the calling thread, from 0 upwards (from the end
  // downwards when AReverse), answering the first such index.
  int Iterate(void* AContext, int ACount, const TdxIterateItemObjectFunc& AItemFunc, bool AReverse = false);
  int Iterate(TdxFastList* AList, const TdxFastListItemFunc& AItemFunc, bool AReverse = false);
  int Iterate(rtl::TList* AList, const TdxListItemFunc& AItemFunc, bool AReverse = false);
  int Iterate(rtl::TStrings* AStrings, const TdxStringsListItemFunc& AItemFunc, bool AReverse = false);

 private:
  template <class F>
  static int IterateSequential(int ACount, bool AReverse, F&& AItem);
  // A list form: in parallel through AAdapter, which calls the item
  // function kept in AStored, or in the calling thread.
  template <class L, class F>
  int IterateList(L* AList, int ACount, const F& AItemFunc, F& AStored, const TdxIterateItemObjectFunc& AAdapter,
                  bool AReverse);
  bool FastListItem(void* AContext, int AIndex);
  bool ListItem(void* AContext, int AIndex);
  bool StringsItem(void* AContext, int AIndex);

  TdxFastListItemFunc FFastListItemFunc;
  TdxListItemFunc FListItemFunc;
  TdxStringsListItemFunc FStringsItemFunc;
};

// The shared iterator (thread count = processors); nil unless
// multithreading is available, and after the unit has finished.
TdxMultithreadedListIterator* dxMultithreadedListIterator();

// ---------------------------------------------------------------------------
// Task dispatcher

enum class TdxTaskCompletedStatus { Success, Fail, Cancelled };

// How a task's completion callback relates to the main thread: called in the
// thread that finished the task, run on the main thread and waited for
// (TThread::Synchronize), or queued for the main thread (TThread::Queue).
enum TdxThreadMethodCallMode { tmcmAsync, tmcmSync, tmcmSyncPostponed };

// Answers whether the running task has been cancelled.
using TdxTaskCancelCallback = rtl::TMethod<bool()>;

struct IdxTask : rtl::IInterface {
  // Does the work on a pool thread.
  virtual TdxTaskCompletedStatus __stdcall Run(TdxTaskCancelCallback ACheckCanceled) = 0;
  virtual void __stdcall Complete(TdxTaskCompletedStatus AStatus) = 0;
};

using TdxTaskProc = std::function<void(TdxTaskCancelCallback ACheckCanceled)>;

struct IdxTaskEvent : rtl::IInterface {
  RTL_GUID(IdxTaskEvent, "{3CAF68AD-4959-429F-A6BB-19DC671BD3BB}")
  virtual bool __stdcall Signal() = 0;
  virtual rtl::TWaitResult __stdcall WaitFor(DWORD ATimeOut) = 0;
};

// One manual-reset event, set when its task has ended. Waiters hold their own
// reference, so they wake even when the task object is gone.
class TdxTaskEvent : public rtl::TInterfacedObject, public IdxTaskEvent {
  RTL_CLASS(TdxTaskEvent, rtl::TInterfacedObject)
  RTL_INTERFACES(IdxTaskEvent)

 public:
  // Raises EOSError when the system refuses an event.
  void Create();
  void Destroy() override;

  bool __stdcall Signal() override;
  // On the main thread the wait runs, in slices of at most 100 ms, the calls
  // worker threads synchronise with the main thread and lets sent messages
  // through, so a task whose completion runs on the main thread can end
  // while the main thread waits for it.
  rtl::TWaitResult __stdcall WaitFor(DWORD ATimeOut) override;

 private:
  rtl::TWaitResult WaitForInMainThread(DWORD ATimeOut);

  HANDLE FHandle;
};

class TdxTaskDispatcher;

// A unit of background work, owned by the dispatcher from Run on. Its
// interface part counts no references: whoever owns the task frees it.
class TdxTask : public rtl::TNoRefCountObject {
  RTL_CLASS(TdxTask, rtl::TNoRefCountObject)

 public:
  void Create();

  // Calls the completion event in its call mode, when one is assigned.
  virtual void DoComplete();
  virtual void Execute() = 0;

  bool GetCanceled() const { return FCanceled.load() != 0; }
  // The task's identifier for the dispatcher: unique for the life of the
  // process, so a handle kept after its task is gone never names a later
  // task, as the task's address could once the memory is reused. Never 0.
  UINT_PTR GetHandle() const { return FHandle; }

 protected:
  // The cancel check handed to the work: answers GetCanceled.
  TdxTaskCancelCallback CancelCheck();

 private:
  friend class TdxTaskDispatcher;
  bool CheckCanceled();

  std::atomic<LONG> FCanceled;
  rtl::IPtr<IdxTaskEvent> FEvent;
  TdxTaskDispatcher* FOwner;
  std::atomic<DWORD> FThreadId;
  UINT_PTR FHandle;
  rtl::TThreadMethod FOnComplete;
  TdxThreadMethodCallMode FOnCompleteMode;
};

class TdxTaskDispatcher : public rtl::TObject {
  RTL_CLASS(TdxTaskDispatcher, rtl::TObject)

 public:
  // Runs a procedure.
  class TProcWrapper : public TdxTask {
    RTL_CLASS(TProcWrapper, TdxTask)

   public:
    void Create(TdxTaskProc AProc);
    void Execute() override;

   private:
    TdxTaskProc FProc;
  };

  // Runs an IdxTask and hands it its status on the main thread. A task
  // cancelled before it started receives Success: only Execute sets the
  // status.
  class TTaskWrapper : public TdxTask {
    RTL_CLASS(TTaskWrapper, TdxTask)

   public:
    void Create(const rtl::IPtr<IdxTask>& ATask);
    void DoComplete() override;
    void Execute() override;

   private:
    void CompleteTask();

    rtl::IPtr<IdxTask> FTask;
    TdxTaskCompletedStatus FCompletedStatus;
  };

  void Create();
  void BeforeDestruction() override;
  void Destroy() override;

  // Each answers the task's handle.
  UINT_PTR Run(const rtl::IPtr<IdxTask>& ATask);
  UINT_PTR Run(const TdxTaskProc& AProc);
  UINT_PTR Run(const TdxTaskProc& AProc, rtl::TThreadMethod ACompleteEvent,
                 TdxThreadMethodCallMode ACompleteEventCallMode);
  // Takes ownership of ATask: it waits in arrival order until it may start.
  UINT_PTR Run(TdxTask* ATask, rtl::TThreadMethod ACompleteEvent = nullptr,
                 TdxThreadMethodCallMode ACompleteEventCallMode = tmcmAsync);
  // Execute, then DoComplete even when Execute raised, then frees ATask; what
  // was raised propagates. Answers 0.
  UINT_PTR RunInCurrentThread(TdxTask* ATask);

  // A waiting task is completed at once, never run, and answers wrSignaled;
  // a running one is told it is cancelled and waited for. An unknown or
  // finished task answers wrAbandoned.
  rtl::TWaitResult Cancel(UINT_PTR ATaskHandle, DWORD AWaitTimeOut);
  // Cancel(handle, INFINITE or 0) <> wrError. Takes a bool only, so that a
  // time-out never converts to it.
  template <class B>
    requires std::same_as<B, bool>
  bool Cancel(UINT_PTR ATaskHandle, B AWaitFor)
  {
    return Cancel(ATaskHandle, AWaitFor ? INFINITE : DWORD{0}) != rtl::wrError;
  }
  // Waits for a task; a waiting one starts at once, beyond the limit. An
  // unknown or finished task answers wrAbandoned.
  rtl::TWaitResult WaitFor(UINT_PTR ATaskHandle, DWORD AWaitTimeOut);
  bool WaitFor(UINT_PTR ATaskHandle);
  // For the work of a task: whether the task the calling thread runs has been
  // cancelled; False outside a task.
  bool IsCurrentTaskCanceled();

  int GetMaxActiveTasks() const { return FMaxActiveTasks; }
  void SetMaxActiveTasks(int AValue);
  // The monitor that releases one more waiting task when the processor load
  // of the last ten seconds averaged 80 % or less. Main thread only: setting
  // it from another thread raises EInvalidOperation.
  bool GetUseCpuUsageMonitor() const { return FCpuUsageMonitorEnabled; }
  void SetUseCpuUsageMonitor(bool AValue);

 protected:
  // One tick of the monitor, every 1000 ms while it is on.
  void CpuUsageMonitorTimer();
  // The processor load since the previous sample, in percent.
  virtual int GetCPUUsage();

 private:
  static DWORD WINAPI TaskProc(LPVOID ATask);
  // Runs ATask to its end and frees it; answers the next task to start.
  static TdxTask* RunTask(TdxTask* ATask) noexcept;
  void MonitorWndProc(rtl::TMessage& AMessage);

  TdxTask* FindActiveTask(UINT_PTR AHandle) const;
  int FindWaitingTask(UINT_PTR AHandle) const;
  // Moves the first waiting task to the active list and answers it; under
  // the lock. Nil when none waits.
  TdxTask* TakeFirstWaitingTask();
  TdxTask* TakeWaitingTask(int AIndex);
  // Outside the lock: hands ATask to the pool, or runs it here when there
  // is no pool or it refuses.
  void StartTask(TdxTask* ATask);
  void TryStartNextTask();
  TdxTask* TaskFinished(TdxTask* ATask) noexcept;

  std::vector<TdxTask*> FActiveTasks;
  rtl::TCriticalSection* FLock;
  std::atomic<int> FMaxActiveTasks;
  std::vector<TdxTask*> FTasks;
  int FCpuUsageLog[10];
  int FCpuUsageSampleCount;
  HWND FCpuUsageMonitorWindow;
  bool FCpuUsageMonitorEnabled;
  rtl::TThread::TSystemTimes FPrevSystemTimes;
};

// The shared dispatcher; nil after the unit has finished.
TdxTaskDispatcher* dxTaskDispatcher();

// ---------------------------------------------------------------------------
// UI-thread synchronisation

// Procedures queued, with an owner, to run later on the user-interface thread
// (the thread that started the unit), through a private message to a hidden
// window.
class TdxUIThreadSyncService {
 public:
  // The private message that runs the queue.
  static constexpr UINT WM_SYNC = 0x81C2;

  // Queues AProcedure from any thread; dropped while shutting down.
  static void EnqueueInvokeInUIThread(rtl::TObject* AOwner, rtl::TThreadProcedure AProcedure);
  // Drops, unrun, every procedure AListener queued, from any thread.
  static void Unsubscribe(rtl::TObject* AListener);

  // The unit's start and end steps.
  static void Initialize();
  static void Finalize();
  static HWND Handle();
  // While shutting down, nothing is queued or run.
  static bool IsShuttingDown();

 private:
  struct TEnqueuedProcedure {
    rtl::TObject* Owner;
    rtl::TThreadProcedure ProcedureRef;
  };
  struct TReceiver {
    void WndProc(rtl::TMessage& AMessage);
  };

  static void ProcessQueue();

  static HWND FWindow;
  static std::deque<TEnqueuedProcedure>* FQueue;
  static rtl::TCriticalSection* FLock;
  static std::atomic<bool> FShutDown;
  static TReceiver FReceiver;
};
