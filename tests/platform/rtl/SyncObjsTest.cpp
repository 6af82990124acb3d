#include "platform/rtl/SyncObjs.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

using rtl::TCriticalSection;
using rtl::TEvent;
using rtl::TSimpleEvent;
using rtl::TWaitResult;
using rtl::wrSignaled;
using rtl::wrTimeout;

enum class Step { Set, Reset, Wait };

struct EventCase {
  const char* name;
  bool manualReset;
  bool initialState;
  std::vector<Step> before;
  TWaitResult expected;
};

TEST(SyncObjsEvent, WaitResultFollowsTheEventsState)
{
  const EventCase cases[] = {
      {"initially signalled", true, true, {}, wrSignaled},
      {"initially clear", true, false, {}, wrTimeout},
      {"set", true, false, {Step::Set}, wrSignaled},
      {"set then reset", true, true, {Step::Set, Step::Reset}, wrTimeout},
      {"manual reset stays signalled after a wait", true, false, {Step::Set, Step::Wait}, wrSignaled},
      {"auto reset clears with the wait it satisfies", false, false, {Step::Set, Step::Wait}, wrTimeout},
      {"auto reset initially signalled", false, true, {}, wrSignaled},
  };
  for (const EventCase& c : cases) {
    SCOPED_TRACE(c.name);
    TEvent* event = rtl::New<TEvent>(nullptr, c.manualReset, c.initialState, rtl::String());
    ASSERT_NE(event->Handle(), nullptr);
    for (Step step : c.before) {
      if (step == Step::Set)
        event->SetEvent();
      else if (step == Step::Reset)
        event->ResetEvent();
      else
        event->WaitFor(0);
    }
    EXPECT_EQ(event->WaitFor(0), c.expected);
    rtl::Free(event);
  }
}

TEST(SyncObjsEvent, SimpleEventIsManualResetAndStartsClear)
{
  TSimpleEvent* event = rtl::New<TSimpleEvent>();
  EXPECT_EQ(event->WaitFor(0), wrTimeout);
  event->SetEvent();
  EXPECT_EQ(event->WaitFor(0), wrSignaled);
  EXPECT_EQ(event->WaitFor(0), wrSignaled);
  rtl::Free(event);
}

TEST(SyncObjsEvent, WaitEndsWhenAnotherThreadSignals)
{
  TSimpleEvent* event = rtl::New<TSimpleEvent>();
  std::thread setter([event] { event->SetEvent(); });
  EXPECT_EQ(event->WaitFor(INFINITE), wrSignaled);
  setter.join();
  rtl::Free(event);
}

TEST(SyncObjsEvent, NamedEventsOfOneNameShareTheirState)
{
  const rtl::String name = L"KelvaroSyncObjsTest" + std::to_wstring(GetCurrentProcessId());
  TEvent* first = rtl::New<TEvent>(nullptr, true, false, name);
  TEvent* second = rtl::New<TEvent>(nullptr, true, false, name);
  first->SetEvent();
  EXPECT_EQ(second->WaitFor(0), wrSignaled);
  rtl::Free(second);
  rtl::Free(first);
}

TEST(SyncObjsCriticalSection, ExcludesOtherThreadsUnderContention)
{
  constexpr int kThreads = 4;
  constexpr int kIncrements = 20000;
  for (bool withSpinCount : {false, true}) {
    SCOPED_TRACE(withSpinCount ? "spin count 1024" : "no spin count");
    TCriticalSection* section =
        withSpinCount ? rtl::New<TCriticalSection>(DWORD{1024}) : rtl::New<TCriticalSection>();
    // A read, a yield and a write: without exclusion, increments get lost.
    int counter = 0;
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i)
      threads.emplace_back([&] {
        for (int n = 0; n < kIncrements; ++n) {
          section->Enter();
          const int value = counter;
          if (n % 512 == 0)
            SwitchToThread();
          counter = value + 1;
          section->Leave();
        }
      });
    for (std::thread& thread : threads)
      thread.join();
    EXPECT_EQ(counter, kThreads * kIncrements);
    rtl::Free(section);
  }
}

TEST(SyncObjsCriticalSection, TryEnterFailsOnlyWhileAnotherThreadHoldsIt)
{
  TCriticalSection* section = rtl::New<TCriticalSection>();
  bool otherGotIt = true;
  section->Enter();
  // Re-entering on the owning thread succeeds, as Windows' sections do.
  EXPECT_TRUE(section->TryEnter());
  section->Leave();
  std::thread([&] { otherGotIt = section->TryEnter(); }).join();
  EXPECT_FALSE(otherGotIt);
  section->Leave();
  std::thread([&] {
    otherGotIt = section->TryEnter();
    if (otherGotIt)
      section->Leave();
  }).join();
  EXPECT_TRUE(otherGotIt);
  rtl::Free(section);
}

}  // namespace
