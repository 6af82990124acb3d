#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/cxGraphicsBitmaps.h"
#include "pagecontrol/cxPC.h"
#include "platform/vcl/ImgList.h"
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

// A 16 x 12 image, red in its top-left 4 x 4 corner and keyed out
// elsewhere, drawn over blue: turned images keep the blue around them and
// carry the corner where the turn takes it (raPlus90 turns like a caption
// read upwards, raMinus90 like one read downwards). Images never turn
// upside down: captions do not.
TEST_F(TPCPropertiesFixture, TurnedImagesTurnWithTheirCaptionsOverWhatLiesBelow)
{
  const rtl::TOwnedPtr<vcl::TImageList> list(
      rtl::NewWith<vcl::TImageList>([](vcl::TImageList* L) { L->CreateSize(16, 12); }));
  {
    const rtl::TOwnedPtr<TcxBitmap> image(rtl::NewWith<TcxBitmap>([](TcxBitmap* B) { B->CreateSize(16, 12); }));
    image->GetcxCanvas()->FillRect(TRect{0, 0, 16, 12}, vcl::clFuchsia);
    image->GetcxCanvas()->FillRect(TRect{0, 0, 4, 4}, vcl::clRed);
    list->AddMasked(image.get(), vcl::clFuchsia);
  }
  TcxPCImageList* images = Properties->GetImages();
  images->SetBaseImages(list.get());
  struct {
    TcxRotationAngle Angle;
    TSize Size;
    TPoint Corner;
  } cases[] = {
      {TcxRotationAngle::ra0, {16, 12}, {1, 1}},
      {TcxRotationAngle::raPlus90, {12, 16}, {1, 14}},
      {TcxRotationAngle::raMinus90, {12, 16}, {10, 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Angle));
    images->SetImageRotationAngle(c.Angle);
    EXPECT_EQ(images->RotatedImageSize().cx, c.Size.cx);
    const rtl::TOwnedPtr<TcxBitmap> canvas(rtl::NewWith<TcxBitmap>([](TcxBitmap* B) { B->CreateSize(40, 40); }));
    canvas->GetcxCanvas()->FillRect(TRect{0, 0, 40, 40}, vcl::clBlue);
    const TRect R{10, 10, 10 + c.Size.cx, 10 + c.Size.cy};
    images->Draw(canvas->GetcxCanvas(), R, 0, true, false);
    const HDC dc = canvas->GetcxCanvas()->GetHandle();
    EXPECT_EQ(GetPixel(dc, R.left + c.Corner.x, R.top + c.Corner.y), RGB(255, 0, 0));
    // The opposite corner of the image shows the blue under it.
    EXPECT_EQ(GetPixel(dc, R.right - 1 - c.Corner.x, R.bottom - 1 - c.Corner.y), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, R.left - 1, R.top), RGB(0, 0, 255));
  }
  images->SetBaseImages(nullptr);
}

}  // namespace
