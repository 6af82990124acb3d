#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pagecontrol/cxPC.h"
#include "tests/pagecontrol/PageControlTestSupport.h"

namespace {

using pctest::NewControl;
using pctest::TPCEventLog;
using Strings = std::vector<std::string>;

struct TPCPropertiesFixture : testing::Test {
  pctest::TPCControlPtr Control = NewControl();
  TcxCustomTabControlProperties* Properties = Control->GetProperties();
  rtl::TOwnedPtr<TPCEventLog> Events{rtl::New<TPCEventLog>()};

  void SetUp() override
  {
    Control->SetPainter<pctest::TPCMetricsPainter>();
    Events->Hook(Properties);
  }
};

TEST_F(TPCPropertiesFixture, StartsWithTheDocumentedDefaults)
{
  EXPECT_EQ(Properties->GetOptions(), cxPCDefaultOptions);
  EXPECT_EQ(Properties->GetTabIndex(), -1);
  EXPECT_EQ(Properties->GetNavigatorPosition(), TcxPCNavigatorPosition::npRightTop);
  EXPECT_EQ(Properties->GetTabCaptionAlignment(), rtl::TAlignment::taCenter);
  EXPECT_TRUE(Properties->GetActivateFocusedTab());
  EXPECT_TRUE(Properties->GetTabsScroll());
  EXPECT_EQ(Properties->GetTabSlants()->GetKind(), TcxTabSlantKind::skSlant);
  EXPECT_EQ(Properties->GetTabSlants()->GetPositions(), TcxTabSlantPositions{TcxTabSlantPosition::spLeft});
  EXPECT_FALSE(Properties->NewButton()->GetVisible());
  EXPECT_EQ(Properties->NewButton()->GetIndex(), -2);
}

TEST_F(TPCPropertiesFixture, TheFirstTabBecomesCurrentSilentlyAndTabsNumberTheirImages)
{
  Control->AddTabs(3);
  EXPECT_EQ(Properties->GetTabIndex(), 0);
  EXPECT_EQ(Events->Log, Strings{});
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(Properties->GetTabs()->GetTab(i)->GetOwnImageIndex(), i);
}

TEST_F(TPCPropertiesFixture, SettingTheTabIndexFollowsTheChangeProtocol)
{
  Control->AddTabs(3);
  struct {
    int Value;
    bool Allow;
    int Expected;
    Strings Log;
  } const cases[] = {
      {3, true, 0, {}},
      {-2, true, 0, {}},
      {0, true, 0, {}},
      {2, false, 0, {"changing"}},
      {2, true, 2, {"changing", "change", "medium"}},
      {-1, true, -1, {"changing", "change", "medium"}},
  };
  for (const auto& c : cases) {
    Events->Log.clear();
    Events->Allow = c.Allow;
    Properties->SetTabIndex(c.Value);
    EXPECT_EQ(Properties->GetTabIndex(), c.Expected) << c.Value;
    EXPECT_EQ(Events->Log, c.Log) << c.Value;
  }
}

TEST_F(TPCPropertiesFixture, ARequestMadeWhileAnotherIsDecidedIsRefused)
{
  Control->AddTabs(3);
  Events->OnChangingAction = [this] { Properties->SetTabIndex(1); };
  Properties->SetTabIndex(2);
  EXPECT_EQ(Properties->GetTabIndex(), 2);
  EXPECT_EQ(Events->Log, (Strings{"changing", "change", "medium"}));
}

TEST_F(TPCPropertiesFixture, UpdatesHoldEventsAndAnnounceOnceAtTheEnd)
{
  Control->AddTabs(3);
  Properties->BeginUpdate();
  Properties->SetTabIndex(2);
  Properties->SetHotTrack(true);
  EXPECT_EQ(Events->Log, Strings{});
  Properties->EndUpdate();
  EXPECT_EQ(Events->Log, Strings{"hard"});
  EXPECT_EQ(Properties->GetTabIndex(), 2);

  Events->Log.clear();
  Properties->BeginUpdate();
  Properties->SetShowFrame(true);
  Properties->CancelUpdate();
  EXPECT_EQ(Events->Log, Strings{});
}

TEST_F(TPCPropertiesFixture, OptionsAnnounceByWhatTheyChange)
{
  const TcxPCOptions defaults = cxPCDefaultOptions;
  struct {
    TcxPCOption Option;
    Strings Log;
  } const cases[] = {
      {TcxPCOption::pcoSort, {}},
      {TcxPCOption::pcoRedrawOnResize, {}},
      {TcxPCOption::pcoUsePageColorForTab, {"light"}},
      {TcxPCOption::pcoCloseButton, {"hard"}},
  };
  for (const auto& c : cases) {
    Properties->SetOptions(defaults);
    Events->Log.clear();
    TcxPCOptions options = defaults;
    options.Contains(c.Option) ? options.Exclude(c.Option) : options.Include(c.Option);
    Properties->SetOptions(options);
    EXPECT_EQ(Events->Log, c.Log) << static_cast<int>(c.Option);
  }
}

TEST_F(TPCPropertiesFixture, ClosingTheCurrentTabSelectsTheOneBeforeItAndClosingAnotherKeepsIt)
{
  Control->AddTabs(3);
  Properties->SetTabIndex(2);
  Events->Log.clear();
  Properties->CloseTab(2);
  EXPECT_EQ(Properties->GetTabIndex(), 1);
  EXPECT_EQ(Events->Log, (Strings{"hard", "change"}));

  Events->Log.clear();
  Properties->CloseTab(0);
  EXPECT_EQ(Properties->GetTabIndex(), 0);
  EXPECT_EQ(Properties->GetTabs()->GetStrings(0), L"Tab1");
  EXPECT_EQ(Events->Log, Strings{"hard"});
}

TEST_F(TPCPropertiesFixture, UnknownStylesAreStoredAsZero)
{
  Properties->SetStyle(1);
  EXPECT_EQ(Properties->GetStyle(), 1);
  Properties->SetStyle(4);
  EXPECT_EQ(Properties->GetStyle(), 0);
}

TEST_F(TPCPropertiesFixture, QueuedNotifyEventsRunInOrderAtTheOutermostUnlock)
{
  Properties->LockNotifyEvents();
  Properties->LockNotifyEvents();
  Properties->QueueEvent(Events.get(), rtl::TNotifyEvent::Bind<&TPCEventLog::Change>(Events.get()));
  Properties->QueueEvent(Events.get(), rtl::TNotifyEvent::Bind<&TPCEventLog::Change>(Events.get()));
  Properties->UnlockNotifyEvents();
  EXPECT_EQ(Events->Log, Strings{});
  Properties->UnlockNotifyEvents();
  EXPECT_EQ(Events->Log, (Strings{"change", "change"}));
}

TEST_F(TPCPropertiesFixture, ATabFreedDirectlyLeavesTheListAndItsViewInfo)
{
  Control->AddTabs(3);
  Control->GetViewInfo()->Calculate();
  ASSERT_EQ(Control->GetViewInfo()->TabsViewInfoCount(), 3);
  rtl::Free(Properties->GetTabs()->GetTab(1));
  EXPECT_EQ(Properties->GetTabs()->GetCount(), 2);
  Control->GetViewInfo()->Calculate();
  EXPECT_EQ(Control->GetViewInfo()->TabsViewInfoCount(), 2);
  EXPECT_EQ(Control->GetViewInfo()->GetTabViewInfo(1)->GetCaption(), L"Tab2");
}

}  // namespace
