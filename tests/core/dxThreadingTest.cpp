// The thread pool helper, the parallel list iterator, the task dispatcher and
// the UI-thread synchronisation service, with the system's pool function
// replaced where a case needs it to refuse items or to count them. The main
// thread pumps its messages while it waits, as the program's loop would.
#include "core/dxThreading.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <random>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/ClassesThreads.h"
#include "tests/support/TestSupport.h"

using rtl::TWaitResult;

namespace {

using kvtest::GuardTimeout;

// Runs the main thread's messages and synchronised calls until APredicate
// holds; false when it still fails after the guard time.
bool ThreadingPumpUntil(const std::function<bool()>& APredicate)
{
  return kvtest::PumpUntil(APredicate, rtl::SyncEvent(), [] { rtl::CheckSynchronize(); });
}

// A manual-reset event that blocked work waits on; opened when the case ends
// at the latest, so no pool thread stays blocked. Declared ahead of the
// dispatcher, which waits for its running tasks as it goes: the handle must
// outlive every wait on it.
class TGate {
 public:
  TGate() : FHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~TGate()
  {
    Open();
    CloseHandle(FHandle);
  }
  TGate(const TGate&) = delete;
  TGate& operator=(const TGate&) = delete;
  void Open() { SetEvent(FHandle); }
  void Pass() const { WaitForSingleObject(FHandle, GuardTimeout); }

 private:
  HANDLE FHandle;
};

// A thread of our own for calls that must come from outside the main thread.
class TWorker {
 public:
  explicit TWorker(std::function<void()> ABody) : FBody(std::move(ABody))
  {
    FHandle = CreateThread(nullptr, 0, &Proc, this, 0, nullptr);
  }
  ~TWorker()
  {
    WaitForSingleObject(FHandle, GuardTimeout);
    CloseHandle(FHandle);
  }
  TWorker(const TWorker&) = delete;
  TWorker& operator=(const TWorker&) = delete;
  bool Finished() const { return WaitForSingleObject(FHandle, 0) == WAIT_OBJECT_0; }

 private:
  static DWORD WINAPI Proc(LPVOID AWorker)
  {
    auto* worker = static_cast<TWorker*>(AWorker);
    try {
      worker->FBody();
    } catch (...) {
    }
    return 0;
  }
  std::function<void()> FBody;
  HANDLE FHandle;
};

// The pool function stand-in: counts the items handed to it and refuses
// every one after the first RefuseAfter.
TdxQueueUserWorkItemFunc RealPool;
std::atomic<int> PoolCalls;
std::atomic<int> RefuseAfter;

BOOL WINAPI FakePool(LPTHREAD_START_ROUTINE AFunction, PVOID AContext, ULONG AFlags)
{
  if (PoolCalls++ >= RefuseAfter) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
  return RealPool(AFunction, AContext, AFlags);
}

class dxThreading : public testing::Test {
 protected:
  // The unit itself is started by the test program's main, with the core.
  static void SetUpTestSuite() { rtl::SetMainThread(); }

  void SetUp() override
  {
    RealPool = dxQueueUserWorkItemFunc;
    ASSERT_NE(RealPool, nullptr);
    PoolCalls = 0;
    RefuseAfter = 1 << 30;
    dxQueueUserWorkItemFunc = &FakePool;
  }
  void TearDown() override
  {
    dxQueueUserWorkItemFunc = RealPool;
    rtl::CheckSynchronize();
  }
};

// ---------------------------------------------------------------------------
// Thread pool helper

std::atomic<int> HelperRuns[TdxThreadPoolHelper::MaxWorkItems];

void CountRun(void* AContext)
{
  ++HelperRuns[reinterpret_cast<INT_PTR>(AContext)];
}

void RaiseInRun(void* AContext)
{
  CountRun(AContext);
  throw rtl::Exception(L"work item failed");
}

struct HelperCase {
  int Items;
  int Accepted;  // by the pool; the rest are refused
  bool Unassigned;  // the last procedure is unassigned and queues nothing
};

TEST_F(dxThreading, HelperRunsEveryItemOnceAndEndsItsWait)
{
  // Refused items used to raise with the others running and the counter set
  // for all of them, so the wait never ended; they now run in the caller.
  const HelperCase cases[] = {{5, 100, false}, {5, 0, false}, {5, 2, false}, {32, 7, false},
                              {6, 100, true},  {6, 3, true},  {1, 0, true}};
  for (const HelperCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Items << " items, " << c.Accepted << " accepted");
    for (auto& runs : HelperRuns)
      runs = 0;
    PoolCalls = 0;
    RefuseAfter = c.Accepted;
    rtl::TOwnedPtr<TdxThreadPoolHelper> helper(rtl::New<TdxThreadPoolHelper>());
    helper->Initialize(c.Items, true);
    for (INT_PTR i = 0; i < c.Items; ++i) {
      const bool unassigned = c.Unassigned && i == c.Items - 1;
      helper->QueueWorkItem(unassigned ? nullptr : (i % 2 ? &RaiseInRun : &CountRun), reinterpret_cast<void*>(i));
    }
    helper->WaitForThreads(true);
    for (int i = 0; i < c.Items; ++i)
      EXPECT_EQ(HelperRuns[i], c.Unassigned && i == c.Items - 1 ? 0 : 1) << "item " << i;
  }
}

TEST_F(dxThreading, HelperRefusesMoreItemsThanInitialized)
{
  rtl::TOwnedPtr<TdxThreadPoolHelper> helper(rtl::New<TdxThreadPoolHelper>());
  for (auto& runs : HelperRuns)
    runs = 0;
  helper->Initialize(2, false);
  helper->QueueWorkItem(&CountRun, nullptr);
  helper->QueueWorkItem(&CountRun, nullptr);
  EXPECT_THROW(helper->QueueWorkItem(&CountRun, nullptr), rtl::EInvalidOperation);
  helper->WaitForThreads(false);
  EXPECT_EQ(HelperRuns[0], 2);
}

// ---------------------------------------------------------------------------
// Parallel list iteration

struct TVisitor {
  explicit TVisitor(int ACount) : Visits(ACount) {}
  std::vector<std::atomic<int>> Visits;
  std::vector<int> Targets;
  std::atomic<int> OtherThreadVisits{0};
  DWORD Caller = GetCurrentThreadId();

  bool Visit(int AIndex)
  {
    ++Visits[AIndex];
    if (GetCurrentThreadId() != Caller)
      ++OtherThreadVisits;
    return std::find(Targets.begin(), Targets.end(), AIndex) != Targets.end();
  }
  bool FastListItem(TdxFastList* /*AList*/, int AIndex) { return Visit(AIndex); }
  bool ListItem(rtl::TList* /*AList*/, int AIndex) { return Visit(AIndex); }
  bool StringsItem(rtl::TStrings* /*AStrings*/, int AIndex) { return Visit(AIndex); }
  bool ContextItem(void* /*AContext*/, int AIndex) { return Visit(AIndex); }
};

rtl::TOwnedPtr<rtl::TList> MakeList(int ACount)
{
  rtl::TOwnedPtr<rtl::TList> list(rtl::New<rtl::TList>());
  for (int i = 0; i < ACount; ++i)
    list->Add(reinterpret_cast<void*>(static_cast<INT_PTR>(i + 1)));
  return list;
}

struct IterateCase {
  int Count;
  int Threads;
  bool Reverse;
  int Accepted;
};

TEST_F(dxThreading, IterationVisitsEveryIndexOnceWhenNothingAnswers)
{
  ASSERT_TRUE(dxCanUseMultiThreading());
  const IterateCase cases[] = {{1, 8, false, 100},    {2, 8, true, 100},    {7, 4, false, 100},
                               {1000, 8, false, 100}, {1000, 32, true, 100}, {33, 32, false, 3},
                               {100, 5, true, 0}};
  for (const IterateCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Count << " items, " << c.Threads << " threads, reverse " << c.Reverse
                                    << ", " << c.Accepted << " accepted");
    RefuseAfter = c.Accepted;
    rtl::TOwnedPtr<TdxMultithreadedListIterator> iterator(rtl::New<TdxMultithreadedListIterator>(c.Threads));
    auto list = MakeList(c.Count);
    rtl::TOwnedPtr<TdxFastList> fastList(rtl::New<TdxFastList>());
    fastList->Assign(list.get());
    for (bool fast : {false, true}) {
      SCOPED_TRACE(fast ? "fast list" : "list");
      PoolCalls = 0;
      TVisitor visitor(c.Count);
      const int found =
          fast ? iterator->Iterate(fastList.get(), TdxFastListItemFunc::Bind<&TVisitor::FastListItem>(&visitor),
                                   c.Reverse)
               : iterator->Iterate(list.get(), TdxListItemFunc::Bind<&TVisitor::ListItem>(&visitor), c.Reverse);
      EXPECT_EQ(found, -1);
      for (int i = 0; i < c.Count; ++i)
        ASSERT_EQ(visitor.Visits[i], 1) << "index " << i;
      EXPECT_EQ(PoolCalls, c.Count > 1 ? std::min(c.Count, c.Threads) : 0);
      EXPECT_TRUE(iterator->Lock()) << "the iterator was left locked";
      iterator->Unlock();
    }
  }
}

TEST_F(dxThreading, IterationAnswersAnIndexThatAnswered)
{
  struct FindCase {
    int Count;
    std::vector<int> Targets;
  };
  const FindCase cases[] = {{1000, {777}}, {64, {0}}, {64, {63}}, {500, {10, 490}}};
  rtl::TOwnedPtr<TdxMultithreadedListIterator> iterator(rtl::New<TdxMultithreadedListIterator>(8));
  for (const FindCase& c : cases) {
    for (bool reverse : {false, true}) {
      TVisitor visitor(c.Count);
      visitor.Targets = c.Targets;
      const auto item = TdxIterateItemObjectFunc::Bind<&TVisitor::ContextItem>(&visitor);
      const int found = iterator->Iterate(nullptr, c.Count, item, reverse);
      EXPECT_NE(std::find(c.Targets.begin(), c.Targets.end(), found), c.Targets.end()) << found;
      for (int i = 0; i < c.Count; ++i)
        ASSERT_LE(visitor.Visits[i], 1) << "index " << i;
    }
  }
}

TEST_F(dxThreading, BusyOrTinyIterationRunsInTheCallerAndAnswersTheFirstFound)
{
  rtl::TOwnedPtr<TdxMultithreadedListIterator> iterator(rtl::New<TdxMultithreadedListIterator>(8));
  rtl::TOwnedPtr<rtl::TStringList> strings(rtl::New<rtl::TStringList>());
  for (int i = 0; i < 10; ++i)
    strings->Add(L"item");
  ASSERT_TRUE(iterator->Lock());  // another caller holds it
  for (bool reverse : {false, true}) {
    TVisitor visitor(10);
    visitor.Targets = {3, 7};
    EXPECT_EQ(iterator->Iterate(strings.get(), TdxStringsListItemFunc::Bind<&TVisitor::StringsItem>(&visitor), reverse),
              reverse ? 7 : 3);
    EXPECT_EQ(visitor.OtherThreadVisits, 0);
  }
  iterator->Unlock();

  TVisitor one(1);
  one.Targets = {0};
  auto list = MakeList(1);
  EXPECT_EQ(iterator->Iterate(list.get(), TdxListItemFunc::Bind<&TVisitor::ListItem>(&one)), 0);
  EXPECT_EQ(one.OtherThreadVisits, 0);

  auto empty = MakeList(0);
  EXPECT_EQ(iterator->Iterate(empty.get(), TdxListItemFunc::Bind<&TVisitor::ListItem>(&one)), -1);
  EXPECT_EQ(PoolCalls, 0);
}

TEST_F(dxThreading, SharedIteratorUsesOneThreadPerProcessor)
{
  ASSERT_NE(dxMultithreadedListIterator(), nullptr);
  EXPECT_EQ(dxMultithreadedListIterator()->GetThreadCount(), std::min(rtl::TThread::ProcessorCount(), 32));
  ASSERT_NE(dxTaskDispatcher(), nullptr);
}

TEST_F(dxThreading, FastListIterationAnswersTheListAndAFoundIndex)
{
  rtl::TOwnedPtr<TdxMultithreadedListIterator> iterator(rtl::New<TdxMultithreadedListIterator>(4));
  rtl::TOwnedPtr<TdxFastList> list(rtl::New<TdxFastList>());
  for (INT_PTR i = 0; i < 100; ++i)
    list->Add(reinterpret_cast<void*>(i));
  // The callback gets the list itself and looks at its items.
  struct TFastListProbe {
    TdxFastList* Expected;
    std::atomic<int> WrongList{0};
    bool Item(TdxFastList* AList, int AIndex)
    {
      if (AList != Expected)
        ++WrongList;
      return reinterpret_cast<INT_PTR>(AList->GetItem(AIndex)) == 61;
    }
  };
  TFastListProbe probe{list.get()};
  for (bool reverse : {false, true})
    EXPECT_EQ(iterator->Iterate(list.get(), TdxFastListItemFunc::Bind<&TFastListProbe::Item>(&probe), reverse), 61);
  EXPECT_EQ(probe.WrongList, 0);
  EXPECT_GT(PoolCalls, 0);
  rtl::TOwnedPtr<TdxFastList> empty(rtl::New<TdxFastList>());
  PoolCalls = 0;
  const auto item = TdxFastListItemFunc::Bind<&TFastListProbe::Item>(&probe);
  EXPECT_EQ(iterator->Iterate(empty.get(), item), -1);
  EXPECT_EQ(iterator->Iterate(static_cast<TdxFastList*>(nullptr), item), -1);
  EXPECT_EQ(PoolCalls, 0);
}

// ---------------------------------------------------------------------------
// Parallel sort

int ComparePsortValues(void* A, void* B)
{
  const INT_PTR a = reinterpret_cast<INT_PTR>(A);
  const INT_PTR b = reinterpret_cast<INT_PTR>(B);
  return a < b ? -1 : (a > b ? 1 : 0);
}

// Compares on pool threads, so it counts atomically; raises at call
// RaiseAt when that is not negative.
struct TPsortComparer {
  std::atomic<int> Calls{0};
  int RaiseAt = -1;
  int Compare(void* A, void* B)
  {
    if (Calls++ == RaiseAt)
      throw rtl::Exception(L"compare failed");
    return ComparePsortValues(A, B);
  }
};

std::vector<void*> PsortItems(int ACount, unsigned ASeed, int AMaxValue)
{
  std::mt19937 random(ASeed);
  std::uniform_int_distribution<INT_PTR> value(1, AMaxValue);
  std::vector<void*> items(ACount);
  for (void*& item : items)
    item = reinterpret_cast<void*>(value(random));
  return items;
}

// Items equal in value are the same pointer, so an unstable sort still has
// one right answer: the sequential sort's.
TEST_F(dxThreading, ParallelSortOrdersAsTheSequentialSortDoes)
{
  struct SortCase {
    int Threads;
    int Accepted;  // by the pool; the rest run in the caller
  };
  const SortCase cases[] = {{1, 1 << 30}, {2, 1 << 30}, {3, 4}, {8, 1 << 30}, {32, 1 << 30}, {32, 0}, {32, 5}};
  for (const SortCase& c : cases) {
    rtl::TOwnedPtr<TdxMultithreadedSort> sort(rtl::New<TdxMultithreadedSort>(c.Threads));
    for (int count : {0, 1, 2, 31, 32, 33, 35, 36, 47, 100, 1000, 5001}) {
      for (int maxValue : {3, 1000000}) {
        SCOPED_TRACE(testing::Message() << count << " items up to " << maxValue << ", " << c.Threads << " threads, "
                                        << c.Accepted << " accepted");
        const std::vector<void*> input = PsortItems(count, count + maxValue, maxValue);
        std::vector<void*> expected = input;
        dxSortItemsSequential(expected.data(), count, &ComparePsortValues);

        RefuseAfter = c.Accepted;
        PoolCalls = 0;
        std::vector<void*> byFunction = input;
        sort->Sort(byFunction.data(), count, &ComparePsortValues);
        EXPECT_EQ(byFunction, expected);

        TPsortComparer comparer;
        rtl::TOwnedPtr<TdxFastList> list(rtl::New<TdxFastList>());
        for (void* item : input)
          list->Add(item);
        PoolCalls = 0;
        sort->Sort(list.get(), TCompareItems::Bind<&TPsortComparer::Compare>(&comparer));
        EXPECT_EQ(std::vector<void*>(list->GetList(), list->GetList() + count), expected);
        ASSERT_TRUE(sort->Lock()) << "the sort was left locked";
        sort->Unlock();
      }
    }
  }
}

TEST_F(dxThreading, ParallelSortQueuesOneItemPerChunkAndMerge)
{
  struct ChunkCase {
    int Threads;
    int Count;
    int PoolCalls;
  };
  // 16 chunks take 8 + 4 + 2 + 1 merges, 8 chunks 4 + 2 + 1; one chunk none.
  const ChunkCase cases[] = {{8, 31, 1},  {8, 32, 31},   {32, 1000, 31}, {4, 100, 31},
                             {3, 100, 15}, {2, 32, 15}, {1, 1000, 1},  {8, 0, 0}};
  for (const ChunkCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Count << " items, " << c.Threads << " threads");
    rtl::TOwnedPtr<TdxMultithreadedSort> sort(rtl::New<TdxMultithreadedSort>(c.Threads));
    std::vector<void*> items = PsortItems(c.Count, 7, 50);
    PoolCalls = 0;
    sort->Sort(items.data(), c.Count, &ComparePsortValues);
    EXPECT_EQ(PoolCalls, c.PoolCalls);
    EXPECT_TRUE(std::is_sorted(items.begin(), items.end()));
  }
}

TEST_F(dxThreading, ABusyParallelSortSortsInTheCaller)
{
  rtl::TOwnedPtr<TdxMultithreadedSort> sort(rtl::New<TdxMultithreadedSort>(8));
  std::vector<void*> items = PsortItems(1000, 3, 1000);
  ASSERT_TRUE(sort->Lock());  // another caller holds it
  sort->Sort(items.data(), 1000, &ComparePsortValues);
  EXPECT_TRUE(std::is_sorted(items.begin(), items.end()));
  EXPECT_EQ(PoolCalls, 0);
  sort->Unlock();
}

// Whatever the compare routine does, the items stay within the array, each
// once, and the sort is free again afterwards; one that raises is raised
// again in the caller.
TEST_F(dxThreading, AFaultyCompareRoutineLosesNoItem)
{
  rtl::TOwnedPtr<TdxMultithreadedSort> sort(rtl::New<TdxMultithreadedSort>(16));
  constexpr INT_PTR Guard = -77;
  struct TPsortFaultyComparer {
    int Count;
    int Kind;  // 0 always less, 1 always greater, 2 scrambled, 3 raises
    std::atomic<int> Calls{0};
    std::atomic<bool> SawOutsider{false};
    int Compare(void* A, void* B)
    {
      const INT_PTR a = reinterpret_cast<INT_PTR>(A);
      const INT_PTR b = reinterpret_cast<INT_PTR>(B);
      if (a < 1 || a > Count || b < 1 || b > Count)
        SawOutsider = true;
      const int call = Calls++;
      switch (Kind) {
        case 0:
          return -1;
        case 1:
          return 1;
        case 2:
          return static_cast<int>((a * 2654435761u + b * 40503u + call) % 3) - 1;
        default:
          if (call == Count * 3)
            throw rtl::Exception(L"compare failed");
          return ComparePsortValues(A, B);
      }
    }
  };
  for (int kind = 0; kind < 4; ++kind) {
    for (int count : {33, 100, 1000}) {
      SCOPED_TRACE(testing::Message() << "kind " << kind << ", " << count << " items");
      std::vector<void*> items(count + 2, reinterpret_cast<void*>(Guard));
      for (int i = 1; i <= count; ++i)
        items[i] = reinterpret_cast<void*>(static_cast<INT_PTR>(i));
      std::shuffle(items.begin() + 1, items.end() - 1, std::mt19937(count));
      TPsortFaultyComparer comparer{count, kind};
      const auto compare = TCompareItems::Bind<&TPsortFaultyComparer::Compare>(&comparer);
      if (kind == 3)
        EXPECT_THROW(sort->Sort(items.data() + 1, count, compare), rtl::Exception);
      else
        sort->Sort(items.data() + 1, count, compare);
      EXPECT_FALSE(comparer.SawOutsider);
      EXPECT_EQ(reinterpret_cast<INT_PTR>(items.front()), Guard);
      EXPECT_EQ(reinterpret_cast<INT_PTR>(items.back()), Guard);
      std::vector<void*> sorted(items.begin() + 1, items.end() - 1);
      std::sort(sorted.begin(), sorted.end());
      for (int i = 0; i < count; ++i)
        ASSERT_EQ(reinterpret_cast<INT_PTR>(sorted[i]), i + 1) << "the items are a permutation of the input";
      ASSERT_TRUE(sort->Lock()) << "the sort was left locked";
      sort->Unlock();
    }
  }
}

TEST_F(dxThreading, SharedSortUsesFourThreadsPerProcessor)
{
  ASSERT_NE(dxMultithreadedSort(), nullptr);
  EXPECT_EQ(dxMultithreadedSort()->GetThreadCount(), std::min(rtl::TThread::ProcessorCount() * 4, 32));
}

// ---------------------------------------------------------------------------
// Task dispatcher

struct TRecorder {
  std::mutex Lock;
  std::vector<int> Order;
  std::atomic<int> Completions{0};
  std::atomic<int> Runs{0};

  void Record(int AValue)
  {
    std::lock_guard guard(Lock);
    Order.push_back(AValue);
  }
  void Completed() { ++Completions; }
};

using TDispatcher = rtl::TOwnedPtr<TdxTaskDispatcher>;

TDispatcher NewDispatcher()
{
  return TDispatcher(rtl::New<TdxTaskDispatcher>());
}

TEST_F(dxThreading, DispatcherStartsNoMoreThanItsLimit)
{
  TGate gate;
  TDispatcher dispatcher = NewDispatcher();
  const int limit = dispatcher->GetMaxActiveTasks();
  EXPECT_EQ(limit, rtl::TThread::ProcessorCount() + 2);
  TRecorder recorder;
  std::vector<UINT_PTR> handles;
  for (int i = 0; i < limit + 2; ++i)
    handles.push_back(dispatcher->Run([&](TdxTaskCancelCallback) {
      ++recorder.Runs;
      gate.Pass();
    }));
  EXPECT_EQ(PoolCalls, limit);
  // A waiting task is cancelled at once; a running one is waited for.
  EXPECT_EQ(dispatcher->Cancel(handles[limit], DWORD{0}), rtl::wrSignaled);
  EXPECT_EQ(dispatcher->Cancel(handles[limit - 1], DWORD{0}), rtl::wrTimeout);
  gate.Open();
  for (UINT_PTR handle : handles)
    EXPECT_TRUE(dispatcher->WaitFor(handle));
  EXPECT_EQ(recorder.Runs, limit + 1);
}

TEST_F(dxThreading, DispatcherRunsWaitingTasksInArrivalOrder)
{
  TGate gate;
  TDispatcher dispatcher = NewDispatcher();
  dispatcher->SetMaxActiveTasks(0);
  EXPECT_EQ(dispatcher->GetMaxActiveTasks(), 1);
  TRecorder recorder;
  for (int i = 0; i < 3; ++i)
    dispatcher->Run([&, i](TdxTaskCancelCallback) {
      if (i == 0)
        gate.Pass();
      recorder.Record(i);
    });
  gate.Open();
  ASSERT_TRUE(ThreadingPumpUntil([&] {
    std::lock_guard guard(recorder.Lock);
    return recorder.Order.size() == 3;
  }));
  EXPECT_EQ(recorder.Order, (std::vector<int>{0, 1, 2}));
}

TEST_F(dxThreading, RaisingTheLimitStartsOneMoreTask)
{
  TGate gate;
  TDispatcher dispatcher = NewDispatcher();
  dispatcher->SetMaxActiveTasks(1);
  std::vector<UINT_PTR> handles;
  for (int i = 0; i < 3; ++i)
    handles.push_back(dispatcher->Run([&](TdxTaskCancelCallback) { gate.Pass(); }));
  dispatcher->SetMaxActiveTasks(3);
  EXPECT_EQ(PoolCalls, 2);
  EXPECT_EQ(dispatcher->Cancel(handles[1], DWORD{0}), rtl::wrTimeout);
  EXPECT_EQ(dispatcher->Cancel(handles[2], DWORD{0}), rtl::wrSignaled);
  gate.Open();
}

TEST_F(dxThreading, WaitingForAQueuedTaskStartsItAtOnce)
{
  TGate gate;
  TDispatcher dispatcher = NewDispatcher();
  dispatcher->SetMaxActiveTasks(1);
  std::atomic<bool> secondRan{false};
  const UINT_PTR first = dispatcher->Run([&](TdxTaskCancelCallback) { gate.Pass(); });
  const UINT_PTR second = dispatcher->Run([&](TdxTaskCancelCallback) { secondRan = true; });
  EXPECT_EQ(dispatcher->WaitFor(second, GuardTimeout), rtl::wrSignaled);
  EXPECT_TRUE(secondRan);
  EXPECT_EQ(dispatcher->WaitFor(first, DWORD{0}), rtl::wrTimeout) << "the first task is still blocked";
  gate.Open();
  EXPECT_TRUE(dispatcher->WaitFor(first));
}

TEST_F(dxThreading, CancellingAWaitingTaskCompletesItWithoutRunningIt)
{
  TGate gate;
  TDispatcher dispatcher = NewDispatcher();
  dispatcher->SetMaxActiveTasks(1);
  TRecorder recorder;
  const UINT_PTR first = dispatcher->Run([&](TdxTaskCancelCallback) { gate.Pass(); });
  const UINT_PTR second = dispatcher->Run([&](TdxTaskCancelCallback) { ++recorder.Runs; },
                                          rtl::TThreadMethod::Bind<&TRecorder::Completed>(&recorder), tmcmAsync);
  EXPECT_EQ(dispatcher->Cancel(second, INFINITE), rtl::wrSignaled);
  EXPECT_EQ(recorder.Completions, 1);
  gate.Open();
  EXPECT_TRUE(dispatcher->WaitFor(first));
  EXPECT_EQ(recorder.Runs, 0);
  // Gone now: both answer as for a finished task.
  EXPECT_TRUE(dispatcher->Cancel(second, false));
  EXPECT_TRUE(dispatcher->WaitFor(second));
}

// Completes on the main thread and asks the dispatcher something there.
struct TLockingCompletion {
  TdxTaskDispatcher* Dispatcher;
  std::atomic<int> Calls{0};
  void Completed()
  {
    Dispatcher->IsCurrentTaskCanceled();
    ++Calls;
  }
};

TEST_F(dxThreading, CancellingAWaitingTaskFromAWorkerDoesNotDeadlock)
{
  // The completion of a cancelled waiting task used to run under the
  // dispatcher's lock: a completion synchronised with the main thread then
  // waited for a main thread that waited for that lock.
  TGate gate;
  TDispatcher dispatcher = NewDispatcher();
  dispatcher->SetMaxActiveTasks(1);
  TLockingCompletion completion{dispatcher.get()};
  const UINT_PTR first = dispatcher->Run([&](TdxTaskCancelCallback) { gate.Pass(); });
  const UINT_PTR second =
      dispatcher->Run([](TdxTaskCancelCallback) {},
                      rtl::TThreadMethod::Bind<&TLockingCompletion::Completed>(&completion), tmcmSync);
  std::atomic<int> result{-1};
  {
    TWorker worker([&] { result = dispatcher->Cancel(second, DWORD{0}); });
    EXPECT_TRUE(ThreadingPumpUntil([&] { return worker.Finished(); }));
  }
  EXPECT_EQ(result, rtl::wrSignaled);
  EXPECT_EQ(completion.Calls, 1);
  gate.Open();
  EXPECT_TRUE(dispatcher->WaitFor(first));
}

TEST_F(dxThreading, AHandleNeverNamesALaterTask)
{
  // Handles were task addresses; a handle kept after its task ended could
  // cancel the next task allocated at the same address.
  TGate gates[4];
  TDispatcher dispatcher = NewDispatcher();
  for (TGate& gate : gates) {
    const UINT_PTR old = dispatcher->Run([](TdxTaskCancelCallback) {});
    ASSERT_TRUE(dispatcher->WaitFor(old));
    std::atomic<bool> canceled{true};
    const UINT_PTR later = dispatcher->Run([&](TdxTaskCancelCallback ACanceled) {
      gate.Pass();
      canceled = ACanceled();
    });
    EXPECT_NE(later, old);
    EXPECT_EQ(dispatcher->Cancel(old, DWORD{0}), rtl::wrAbandoned);
    gate.Open();
    ASSERT_TRUE(dispatcher->WaitFor(later));
    EXPECT_FALSE(canceled);
  }
}

TEST_F(dxThreading, ARunningTaskLearnsItWasCancelled)
{
  TGate gate;
  TDispatcher dispatcher = NewDispatcher();
  std::atomic<int> seen{0};
  const UINT_PTR task = dispatcher->Run([&](TdxTaskCancelCallback ACanceled) {
    gate.Pass();
    seen = (ACanceled() ? 1 : 0) + (dispatcher->IsCurrentTaskCanceled() ? 2 : 0);
  });
  EXPECT_EQ(dispatcher->Cancel(task, DWORD{0}), rtl::wrTimeout);
  gate.Open();
  EXPECT_TRUE(dispatcher->Cancel(task, true));
  EXPECT_EQ(seen, 3);
  EXPECT_FALSE(dispatcher->IsCurrentTaskCanceled());
}

TEST_F(dxThreading, RefusedOrMissingPoolRunsTheTaskInTheCaller)
{
  for (bool missing : {false, true}) {
    RefuseAfter = 0;
    if (missing)
      dxQueueUserWorkItemFunc = nullptr;
    TDispatcher dispatcher = NewDispatcher();
    std::atomic<DWORD> ranOn{0};
    const UINT_PTR task = dispatcher->Run([&](TdxTaskCancelCallback) { ranOn = GetCurrentThreadId(); });
    EXPECT_EQ(ranOn, GetCurrentThreadId());
    EXPECT_TRUE(dispatcher->WaitFor(task));
    dxQueueUserWorkItemFunc = &FakePool;
  }
}

class TTestTask : public rtl::TNoRefCountObject, public IdxTask {
  RTL_CLASS(TTestTask, rtl::TNoRefCountObject)

 public:
  // IdxTask has no GUID of its own: the dispatcher holds it only as given.
  HRESULT __stdcall QueryInterface(REFIID AIID, void** AObj) override { return inherited::QueryInterface(AIID, AObj); }
  ULONG __stdcall AddRef() override { return inherited::AddRef(); }
  ULONG __stdcall Release() override { return inherited::Release(); }

  std::atomic<int> Runs{0};
  std::atomic<int> Status{-1};
  std::atomic<DWORD> CompletedOn{0};

  TdxTaskCompletedStatus __stdcall Run(TdxTaskCancelCallback) override
  {
    ++Runs;
    return TdxTaskCompletedStatus::Fail;
  }
  void __stdcall Complete(TdxTaskCompletedStatus AStatus) override
  {
    Status = static_cast<int>(AStatus);
    CompletedOn = GetCurrentThreadId();
  }
};

TEST_F(dxThreading, InterfaceTasksCompleteOnTheMainThread)
{
  TGate gate;
  TDispatcher dispatcher = NewDispatcher();
  dispatcher->SetMaxActiveTasks(1);
  rtl::TOwnedPtr<TTestTask> ran(rtl::New<TTestTask>());
  rtl::TOwnedPtr<TTestTask> cancelled(rtl::New<TTestTask>());
  const UINT_PTR blocker = dispatcher->Run([&](TdxTaskCancelCallback) { gate.Pass(); });
  const UINT_PTR first = dispatcher->Run(rtl::IPtr<IdxTask>(ran.get()));
  const UINT_PTR second = dispatcher->Run(rtl::IPtr<IdxTask>(cancelled.get()));
  EXPECT_EQ(dispatcher->Cancel(second, DWORD{0}), rtl::wrSignaled);
  gate.Open();
  EXPECT_TRUE(dispatcher->WaitFor(blocker));
  EXPECT_TRUE(dispatcher->WaitFor(first));
  EXPECT_EQ(ran->Runs, 1);
  EXPECT_EQ(ran->Status, static_cast<int>(TdxTaskCompletedStatus::Fail));
  EXPECT_EQ(ran->CompletedOn, GetCurrentThreadId());
  // Cancelled before it started: only Execute sets the status.
  EXPECT_EQ(cancelled->Runs, 0);
  EXPECT_EQ(cancelled->Status, static_cast<int>(TdxTaskCompletedStatus::Success));
}

class TFailingTask : public TdxTask {
  RTL_CLASS(TFailingTask, TdxTask)

 public:
  int* Completions;
  void Execute() override { throw rtl::Exception(L"failed"); }
  void DoComplete() override { ++*Completions; }
};

TEST_F(dxThreading, RunInCurrentThreadCompletesThenRaises)
{
  TDispatcher dispatcher = NewDispatcher();
  int completions = 0;
  TFailingTask* task = rtl::New<TFailingTask>();
  task->Completions = &completions;
  EXPECT_THROW(dispatcher->RunInCurrentThread(task), rtl::Exception);
  EXPECT_EQ(completions, 1);
}

TEST_F(dxThreading, CpuUsageMonitorBelongsToTheMainThread)
{
  TDispatcher dispatcher = NewDispatcher();
  rtl::String message;
  {
    TWorker worker([&] {
      try {
        dispatcher->SetUseCpuUsageMonitor(true);
      } catch (const rtl::EInvalidOperation& e) {
        message = e.Message();
      }
    });
  }
  EXPECT_EQ(message, L"TdxTaskDispatcher");
  EXPECT_FALSE(dispatcher->GetUseCpuUsageMonitor());
  dispatcher->SetUseCpuUsageMonitor(true);
  EXPECT_TRUE(dispatcher->GetUseCpuUsageMonitor());
  dispatcher->SetUseCpuUsageMonitor(false);
}

// A dispatcher whose monitor reads a load the case sets, ticked by the case.
class TTestDispatcher : public TdxTaskDispatcher {
  RTL_CLASS(TTestDispatcher, TdxTaskDispatcher)

 public:
  int Load = 0;
  void Tick() { CpuUsageMonitorTimer(); }

 protected:
  int GetCPUUsage() override { return Load; }
};

TEST_F(dxThreading, LowLoadReleasesOneWaitingTaskEveryTenTicks)
{
  struct LoadCase {
    int Load;
    int StartedAfter20Ticks;
  };
  for (const LoadCase c : {LoadCase{50, 2}, LoadCase{80, 2}, LoadCase{81, 0}}) {
    SCOPED_TRACE(c.Load);
    PoolCalls = 0;
    TGate gate;
    rtl::TOwnedPtr<TTestDispatcher> dispatcher(rtl::New<TTestDispatcher>());
    dispatcher->SetMaxActiveTasks(1);
    dispatcher->Load = c.Load;
    for (int i = 0; i < 4; ++i)
      dispatcher->Run([&](TdxTaskCancelCallback) { gate.Pass(); });
    ASSERT_EQ(PoolCalls, 1);
    for (int tick = 1; tick <= 20; ++tick) {
      dispatcher->Tick();
      const int released = c.StartedAfter20Ticks ? tick / 10 : 0;
      ASSERT_EQ(PoolCalls, 1 + released) << "tick " << tick;
    }
    gate.Open();
  }
}

// ---------------------------------------------------------------------------
// UI-thread synchronisation

struct TLog {
  std::mutex Lock;
  std::vector<int> Ran;
  std::vector<DWORD> Threads;
  void Add(int AValue)
  {
    std::lock_guard guard(Lock);
    Ran.push_back(AValue);
    Threads.push_back(GetCurrentThreadId());
  }
  bool Has(int AValue)
  {
    std::lock_guard guard(Lock);
    return std::find(Ran.begin(), Ran.end(), AValue) != Ran.end();
  }
};

TEST_F(dxThreading, QueuedProceduresRunOnTheUIThreadInOrder)
{
  EXPECT_EQ(TdxUIThreadSyncService::WM_SYNC, 0x81C2u);
  TLog log;
  for (int i = 0; i < 3; ++i)
    TdxUIThreadSyncService::EnqueueInvokeInUIThread(nullptr, [&log, i] { log.Add(i); });
  {
    TWorker worker([&] {
      for (int i = 3; i < 6; ++i)
        TdxUIThreadSyncService::EnqueueInvokeInUIThread(nullptr, [&log, i] { log.Add(i); });
    });
  }
  ASSERT_TRUE(ThreadingPumpUntil([&] { return log.Has(5); }));
  EXPECT_EQ(log.Ran, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  for (DWORD thread : log.Threads)
    EXPECT_EQ(thread, GetCurrentThreadId());
}

TEST_F(dxThreading, UnsubscribedProceduresNeverRun)
{
  rtl::TOwnedPtr<rtl::TList> form(rtl::New<rtl::TList>());
  rtl::TOwnedPtr<rtl::TList> other(rtl::New<rtl::TList>());
  TLog log;
  auto capture = std::make_shared<int>(0);
  TdxUIThreadSyncService::EnqueueInvokeInUIThread(form.get(), [&log, capture] { log.Add(1); });
  TdxUIThreadSyncService::EnqueueInvokeInUIThread(other.get(), [&log] { log.Add(2); });
  {
    TWorker worker([&] { TdxUIThreadSyncService::EnqueueInvokeInUIThread(form.get(), [&log] { log.Add(3); }); });
  }
  TdxUIThreadSyncService::Unsubscribe(form.get());
  EXPECT_EQ(capture.use_count(), 1) << "the withdrawn procedure is released";
  TdxUIThreadSyncService::EnqueueInvokeInUIThread(nullptr, [&log] { log.Add(4); });
  ASSERT_TRUE(ThreadingPumpUntil([&] { return log.Has(4); }));
  EXPECT_EQ(log.Ran, (std::vector<int>{2, 4}));
}

struct TExceptionLog {
  std::vector<rtl::TObject*> Senders;
  void Handle(rtl::TObject* ASender) { Senders.push_back(ASender); }
};

TEST_F(dxThreading, AFailingProcedureGoesToTheApplicationAndTheRestRun)
{
  rtl::TOwnedPtr<rtl::TList> owner(rtl::New<rtl::TList>());
  TExceptionLog exceptions;
  const rtl::TNotifyEvent saved = rtl::GetApplicationHandleException();
  rtl::SetApplicationHandleException(rtl::TNotifyEvent::Bind<&TExceptionLog::Handle>(&exceptions));
  TLog log;
  TdxUIThreadSyncService::EnqueueInvokeInUIThread(owner.get(), [] { throw rtl::Exception(L"failed"); });
  TdxUIThreadSyncService::EnqueueInvokeInUIThread(nullptr, [&log] { log.Add(1); });
  EXPECT_TRUE(ThreadingPumpUntil([&] { return log.Has(1); }));
  rtl::SetApplicationHandleException(saved);
  EXPECT_EQ(exceptions.Senders, (std::vector<rtl::TObject*>{owner.get()}));
  EXPECT_EQ(SendMessageW(TdxUIThreadSyncService::Handle(), TdxUIThreadSyncService::WM_SYNC, 0, 0), 1);
}

TEST_F(dxThreading, NothingRunsOnceTheServiceShutsDown)
{
  TLog log;
  auto queued = std::make_shared<int>(0);
  TdxUIThreadSyncService::EnqueueInvokeInUIThread(nullptr, [&log, queued] { log.Add(1); });
  TdxUIThreadSyncService::Finalize();
  EXPECT_EQ(queued.use_count(), 1) << "released without running";
  auto late = std::make_shared<int>(0);
  TdxUIThreadSyncService::EnqueueInvokeInUIThread(nullptr, [&log, late] { log.Add(2); });
  EXPECT_EQ(late.use_count(), 1) << "dropped at once";
  TdxUIThreadSyncService::Initialize();
  TdxUIThreadSyncService::EnqueueInvokeInUIThread(nullptr, [&log] { log.Add(3); });
  ASSERT_TRUE(ThreadingPumpUntil([&] { return log.Has(3); }));
  EXPECT_EQ(log.Ran, (std::vector<int>{3}));
}

}  // namespace
