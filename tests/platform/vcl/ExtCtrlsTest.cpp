#include <gtest/gtest.h>

#include <vector>

#include "platform/rtl/ClassesComponents.h"
#include "platform/vcl/ExtCtrls.h"
#include "tests/support/TestSupport.h"

namespace vcl {
namespace {

// Counts the ticks of the timers bound to it; frees a timer on its first
// tick when asked to.
class TTimerTickCounter : public rtl::TObject {
  RTL_CLASS(TTimerTickCounter, rtl::TObject)

 public:
  void Tick(rtl::TObject* ASender)
  {
    ++Ticks;
    LastSender = ASender;
    if (FreeOnTick) {
      TTimer* timer = static_cast<TTimer*>(ASender);
      rtl::Free(timer);
      FreeOnTick = false;
    }
  }
  int Ticks = 0;
  rtl::TObject* LastSender = nullptr;
  bool FreeOnTick = false;
};

rtl::TNotifyEvent TickOf(TTimerTickCounter* ACounter)
{
  return rtl::TNotifyEvent::Bind<&TTimerTickCounter::Tick>(ACounter);
}

// Bounded: a timer that never ticks fails instead of hanging.
using kvtest::PumpUntil;

TEST(ExtCtrlsTimer, StartsEnabledWithOneSecondAndNoHandler)
{
  rtl::TOwnedPtr<TTimer> timer(rtl::New<TTimer>(nullptr));
  EXPECT_TRUE(timer->GetEnabled());
  EXPECT_EQ(timer->GetInterval(), 1000u);
  EXPECT_FALSE(timer->GetOnTimer());
}

// One running timer is the clock; the others must stay silent while it
// ticks: disabled, without interval, or unassigned then disabled.
TEST(ExtCtrlsTimer, OnlyEnabledTimersWithHandlerAndIntervalTick)
{
  rtl::TOwnedPtr<TTimerTickCounter> running(rtl::New<TTimerTickCounter>());
  rtl::TOwnedPtr<TTimerTickCounter> silent(rtl::New<TTimerTickCounter>());
  rtl::TOwnedPtr<TTimer> clock(rtl::New<TTimer>(nullptr));
  clock->SetInterval(10);
  clock->SetOnTimer(TickOf(running.get()));

  struct Row {
    const char* Name;
    bool Enabled;
    unsigned Interval;
  };
  const Row rows[] = {{"disabled", false, 10}, {"zero interval", true, 0}};
  std::vector<rtl::TOwnedPtr<TTimer>> others;
  for (const Row& row : rows) {
    others.emplace_back(rtl::New<TTimer>(nullptr));
    others.back()->SetInterval(row.Interval);
    others.back()->SetEnabled(row.Enabled);
    others.back()->SetOnTimer(TickOf(silent.get()));
  }
  // Running first, then disabled: the stop must drop its platform timer.
  others.emplace_back(rtl::New<TTimer>(nullptr));
  others.back()->SetInterval(10);
  others.back()->SetOnTimer(TickOf(silent.get()));
  others.back()->SetEnabled(false);

  ASSERT_TRUE(PumpUntil([&] { return running->Ticks >= 3; }));
  EXPECT_EQ(running->LastSender, clock.get());
  EXPECT_EQ(silent->Ticks, 0);
}

TEST(ExtCtrlsTimer, ReEnabledTimerTicksAgain)
{
  rtl::TOwnedPtr<TTimerTickCounter> counter(rtl::New<TTimerTickCounter>());
  rtl::TOwnedPtr<TTimer> timer(rtl::New<TTimer>(nullptr));
  timer->SetEnabled(false);
  timer->SetInterval(10);
  timer->SetOnTimer(TickOf(counter.get()));
  timer->SetEnabled(true);
  ASSERT_TRUE(PumpUntil([&] { return counter->Ticks >= 2; }));
}

TEST(ExtCtrlsTimer, FreeingTheTimerInsideItsOwnTickIsSafe)
{
  rtl::TOwnedPtr<TTimerTickCounter> counter(rtl::New<TTimerTickCounter>());
  rtl::TOwnedPtr<TTimerTickCounter> clockCounter(rtl::New<TTimerTickCounter>());
  counter->FreeOnTick = true;
  TTimer* doomed = rtl::New<TTimer>(nullptr);
  doomed->SetInterval(10);
  doomed->SetOnTimer(TickOf(counter.get()));
  ASSERT_TRUE(PumpUntil([&] { return counter->Ticks >= 1; }));
  // The freed timer must not tick again while another one runs on.
  rtl::TOwnedPtr<TTimer> clock(rtl::New<TTimer>(nullptr));
  clock->SetInterval(10);
  clock->SetOnTimer(TickOf(clockCounter.get()));
  ASSERT_TRUE(PumpUntil([&] { return clockCounter->Ticks >= 3; }));
  EXPECT_EQ(counter->Ticks, 1);
}

TEST(ExtCtrlsTimer, OwnerFreesItsTimer)
{
  rtl::TComponent* owner = rtl::New<rtl::TComponent>(nullptr);
  TTimer* timer = rtl::New<TTimer>(owner);
  EXPECT_EQ(owner->GetComponentCount(), 1);
  EXPECT_EQ(owner->GetComponents(0), timer);
  rtl::Free(owner);
}

}  // namespace
}  // namespace vcl
