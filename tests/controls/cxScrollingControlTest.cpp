#include "controls/cxScrollingControl.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/controls/ControlsTestSupport.h"
#include "tests/support/TestHost.h"

using enum TScrollBarKind;
using enum TScrollCode;
using enum TdxAutoSizeMode;
using enum TdxMakeVisibleMode;

namespace {

// A scrolling control with a content size the test sets, recording the
// refreshes its position changes cause.
class TScrollingTestControl : public TcxScrollingControl {
  RTL_CLASS(TScrollingTestControl, TcxScrollingControl)

 public:
  void Create(rtl::TComponent* AOwner) override
  {
    inherited::Create(AOwner);
    SetBorderStyle(TcxControlBorderStyle::cxcbsNone);
  }
  TSize __stdcall GetContentSize() override { return Content; }
  void SetContent(TSize AValue)
  {
    Content = AValue;
    LayoutChanged(TdxChangeType::ctHard);
  }

  TSize Content{0, 0};
  std::vector<TPoint> Refreshes;

 protected:
  void FullRefresh(const TPoint& ADelta) override
  {
    Refreshes.push_back(ADelta);
    inherited::FullRefresh(ADelta);
  }
};

class cxScrollingControlTest : public kvtest::THostedTest {
 protected:
  void SetUp() override
  {
    THostedTest::SetUp();
    FControl = AddChild<TScrollingTestControl>(TRect{0, 0, 200, 150});
    FControl->HandleNeeded();
  }

  // The most a position may reach along each axis.
  TPoint MaxPos() const
  {
    const TSize visible = FControl->GetVisibleSize();
    return TPoint{std::max<int>(0, FControl->Content.cx - visible.cx),
                  std::max<int>(0, FControl->Content.cy - visible.cy)};
  }

  TScrollingTestControl* FControl = nullptr;
};

TEST_F(cxScrollingControlTest, PositionsAreClampedToTheContent)
{
  enum TExpect { eZero, eAsSet, eMax };
  struct TCase {
    const char* Name;
    TSize Content;
    int Value;
    TExpect Expected;
  };
  const TCase cases[] = {
      {"content smaller than the window", {100, 80}, 50, eZero},
      {"no content", {0, 0}, 10, eZero},
      {"inside the content", {1000, 800}, 120, eAsSet},
      {"beyond the content", {1000, 800}, 5000, eMax},
      {"negative", {1000, 800}, -30, eZero},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    FControl->SetContent(c.Content);
    FControl->SetLeftPos(0);
    FControl->SetTopPos(0);
    FControl->SetLeftPos(c.Value);
    FControl->SetTopPos(c.Value);
    const TPoint max = MaxPos();
    const TPoint expected = c.Expected == eZero    ? TPoint{0, 0}
                            : c.Expected == eAsSet ? TPoint{c.Value, c.Value}
                                                   : max;
    EXPECT_EQ((TPoint{FControl->GetLeftPos(), FControl->GetTopPos()}), expected);
  }
}

TEST_F(cxScrollingControlTest, AClampedPositionRefreshesOnceWithTheChange)
{
  FControl->SetContent(TSize{1000, 800});
  FControl->Refreshes.clear();
  FControl->SetLeftPos(5000);
  FControl->SetLeftPos(6000);
  ASSERT_EQ(FControl->Refreshes.size(), 1U) << "the second value clamps to where the first went";
  EXPECT_EQ(FControl->Refreshes[0], (TPoint{-MaxPos().x, 0}));
}

TEST_F(cxScrollingControlTest, TheScrollBarsShowTheContentAndThePositions)
{
  FControl->SetContent(TSize{1000, 800});
  FControl->SetTopPos(70);
  const TSize visible = FControl->GetVisibleSize();
  const TcxScrollBarData* v = FControl->GetVScrollBar()->GetData();
  EXPECT_TRUE(v->FVisible);
  EXPECT_EQ(v->FMax, 799);
  EXPECT_EQ(v->FPageSize, visible.cy);
  EXPECT_EQ(v->FPosition, 70);
  EXPECT_EQ(v->FSmallChange, 10);
  EXPECT_EQ(FControl->GetVScrollBar()->GetPosition(), 70);
  FControl->SetContent(TSize{100, 80});
  EXPECT_FALSE(FControl->IsVScrollBarVisible());
  EXPECT_FALSE(FControl->IsHScrollBarVisible());
  EXPECT_EQ(FControl->GetTopPos(), 0) << "the content shrank under the position";
}

TEST_F(cxScrollingControlTest, ScrollCodesMoveTheMatchingPosition)
{
  FControl->SetContent(TSize{1000, 800});
  const TSize client{FControl->GetClientBounds().right - FControl->GetClientBounds().left,
                     FControl->GetClientBounds().bottom - FControl->GetClientBounds().top};
  struct TCase {
    TScrollBarKind Kind;
    TScrollCode Code;
    int TrackPos;
    int Expected;  // -1: the axis's maximum
  };
  const TCase cases[] = {
      {sbVertical, scLineUp, 0, 40},
      {sbVertical, scLineDown, 0, 60},
      {sbVertical, scPageUp, 0, 0},
      {sbVertical, scPageDown, 0, 50 + client.cy},
      {sbVertical, scTrack, 300, 300},
      {sbVertical, scTrack, 9000, -1},
      {sbVertical, scPosition, 300, 50},
      {sbVertical, scTop, 0, 50},
      {sbVertical, scBottom, 0, 50},
      {sbVertical, scEndScroll, 0, 50},
      {sbHorizontal, scLineDown, 0, 60},
      {sbHorizontal, scPageDown, 0, 50 + client.cx},
      {sbHorizontal, scTrack, 9000, -1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << static_cast<int>(c.Kind) << ", code " << static_cast<int>(c.Code));
    FControl->SetLeftPos(50);
    FControl->SetTopPos(50);
    int pos = c.TrackPos;
    FControl->Scroll(c.Kind, c.Code, pos);
    const int max = c.Kind == sbHorizontal ? MaxPos().x : MaxPos().y;
    const int expected = c.Expected == -1 ? max : c.Expected;
    EXPECT_EQ(c.Kind == sbHorizontal ? FControl->GetLeftPos() : FControl->GetTopPos(), expected);
    EXPECT_EQ(pos, expected) << "the clamped position comes back";
  }
}

TEST_F(cxScrollingControlTest, MakeVisibleShiftsByTheMode)
{
  FControl->SetContent(TSize{2000, 2000});
  const TRect client = FControl->GetClientBounds();
  const int w = client.right - client.left;
  const int h = client.bottom - client.top;
  struct TCase {
    const char* Name;
    TRect R;
    TdxMakeVisibleMode Mode;
    TPoint Expected;  // from positions (100, 100)
  };
  const TCase cases[] = {
      {"outside, partly visible: stays", {-10, -10, 20, 20}, mvmOutside, {100, 100}},
      {"outside, after the end", {w + 50, h + 60, w + 80, h + 90}, mvmOutside, {180, 190}},
      {"outside, before the start", {-60, -40, -30, -20}, mvmOutside, {40, 60}},
      {"fully, partly before", {-10, -20, 20, 20}, mvmFully, {90, 80}},
      {"fully, partly after", {w - 10, h - 5, w + 20, h + 15}, mvmFully, {120, 115}},
      {"fully, larger than the client keeps the start", {10, 10, w + 500, h + 500}, mvmFully, {110, 110}},
      {"fully, inside: stays", {10, 10, 30, 30}, mvmFully, {100, 100}},
      {"centered", {300, 200, 320, 220}, mvmCentered, {100 + 300 - w / 2, 100 + 200 - h / 2}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    FControl->SetLeftPos(100);
    FControl->SetTopPos(100);
    FControl->MakeVisible(c.R, c.Mode);
    EXPECT_EQ((TPoint{FControl->GetLeftPos(), FControl->GetTopPos()}), c.Expected);
  }
}

TEST_F(cxScrollingControlTest, AutoSizeAndItsModeFollowEachOther)
{
  struct TCase {
    const char* Name;
    bool AutoSizeBefore;
    TdxAutoSizeMode ModeBefore;
    bool SetAutoSize;  // else the mode is set
    bool AutoSizeValue;
    TdxAutoSizeMode ModeValue;
    bool AutoSizeAfter;
    TdxAutoSizeMode ModeAfter;
  };
  const TCase cases[] = {
      {"AutoSize on sets the whole size", false, asNone, true, true, asNone, true, asAutoSize},
      {"AutoSize off clears the mode", true, asAutoWidth, true, false, asNone, false, asNone},
      {"a mode switches AutoSize on", false, asNone, false, false, asAutoWidth, true, asAutoWidth},
      {"another mode keeps AutoSize", true, asAutoWidth, false, false, asAutoHeight, true, asAutoHeight},
      {"no mode switches AutoSize off", true, asAutoHeight, false, false, asNone, false, asNone},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    FControl->SetAutoSizeMode(asNone);
    FControl->SetAutoSizeMode(c.ModeBefore);
    ASSERT_EQ(FControl->GetAutoSize(), c.AutoSizeBefore);
    if (c.SetAutoSize)
      FControl->SetAutoSize(c.AutoSizeValue);
    else
      FControl->SetAutoSizeMode(c.ModeValue);
    EXPECT_EQ(FControl->GetAutoSize(), c.AutoSizeAfter);
    EXPECT_EQ(FControl->GetAutoSizeMode(), c.ModeAfter);
  }
}

TEST(cxScrollingControlWindowlessTest, NothingIsCalculatedBeforeTheWindow)
{
  rtl::TOwnedPtr<TScrollingTestControl> control(rtl::New<TScrollingTestControl>(nullptr));
  control->Content = TSize{1000, 1000};
  control->SetTopPos(100);
  EXPECT_EQ(control->GetTopPos(), 100) << "kept for when the window comes";
  EXPECT_TRUE(control->Refreshes.empty()) << "nothing to refresh yet";
}

// ---------------------------------------------------------------------------
// TdxScrollHelper on a control that keeps its own positions.

class TScrollHelperTestControl : public TcxControl, public IdxScrollingControl {
  RTL_CLASS(TScrollHelperTestControl, TcxControl)
  RTL_INTERFACES(IdxScrollingControl)

 public:
  void Create(rtl::TComponent* AOwner) override
  {
    inherited::Create(AOwner);
    SetBorderStyle(TcxControlBorderStyle::cxcbsNone);
  }
  int __stdcall GetLeftPos() override { return Left; }
  void __stdcall SetLeftPos(int AValue) override { Left = AValue; }
  int __stdcall GetTopPos() override { return Top; }
  void __stdcall SetTopPos(int AValue) override { Top = AValue; }
  TSize __stdcall GetContentSize() override { return Content; }
  TcxControl* __stdcall GetInstance() override { return this; }
  void Scroll(TScrollBarKind AKind, TScrollCode ACode, int& APos) override
  {
    TdxScrollHelper::Scroll(this, AKind, ACode, APos);
  }
  void Recalculate() { UpdateScrollBars(); }

  int Left = 0;
  int Top = 0;
  TSize Content{0, 0};
  std::vector<TScrollBarKind> Overpans;

 protected:
  void InitScrollBarsParameters() override { TdxScrollHelper::InitScrollBarsParameters(this); }
  void CheckGestureOverpan(TScrollBarKind AKind, int /*ANewPos*/, int /*AMinPos*/, int /*AMaxPos*/, int /*ADeltaX*/,
                           int /*ADeltaY*/) override
  {
    Overpans.push_back(AKind);
  }
};

class dxScrollHelperTest : public kvtest::THostedTest {
 protected:
  void SetUp() override
  {
    THostedTest::SetUp();
    FControl = AddChild<TScrollHelperTestControl>(TRect{0, 0, 200, 150});
    FControl->HandleNeeded();
  }
  TSize Client() const
  {
    const TRect r = FControl->GetClientBounds();
    return TSize{r.right - r.left, r.bottom - r.top};
  }

  TScrollHelperTestControl* FControl = nullptr;
};

TEST_F(dxScrollHelperTest, ScrollStepsByTenAndByTheClient)
{
  FControl->Content = TSize{1000, 900};
  FControl->Recalculate();
  struct TCase {
    TScrollBarKind Kind;
    TScrollCode Code;
    int TrackPos;
    int Expected;  // -1: content minus client
  };
  const TCase cases[] = {
      {sbVertical, scLineDown, 0, 110}, {sbVertical, scLineUp, 0, 90},      {sbVertical, scTrack, 250, 250},
      {sbVertical, scPosition, 250, 100}, {sbVertical, scTrack, 5000, -1}, {sbHorizontal, scLineDown, 0, 110},
      {sbHorizontal, scPageUp, 0, 0},     {sbHorizontal, scTrack, -5, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << static_cast<int>(c.Kind) << ", code " << static_cast<int>(c.Code));
    TdxScrollHelper::SetPos(FControl, 100, 100);
    int pos = c.TrackPos;
    FControl->Scroll(c.Kind, c.Code, pos);
    const int max = c.Kind == sbHorizontal ? 1000 - Client().cx : 900 - Client().cy;
    const int expected = c.Expected == -1 ? max : c.Expected;
    EXPECT_EQ(c.Kind == sbHorizontal ? FControl->Left : FControl->Top, expected);
    EXPECT_EQ(pos, expected);
  }
  EXPECT_EQ(FControl->GetVScrollBar()->GetData()->FSmallChange, 10);
  EXPECT_EQ(FControl->GetVScrollBar()->GetData()->FMax, 899);
}

TEST_F(dxScrollHelperTest, APositionTheBarsMadeInvalidIsClampedAgain)
{
  FControl->Content = TSize{1000, 900};
  FControl->Recalculate();
  TdxScrollHelper::SetPos(FControl, 900, 800);
  EXPECT_EQ(FControl->Left, 1000 - Client().cx);
  EXPECT_EQ(FControl->Top, 900 - Client().cy);
  FControl->Content = TSize{100, 100};
  TdxScrollHelper::CheckPositions(FControl);
  EXPECT_EQ((TPoint{FControl->Left, FControl->Top}), (TPoint{0, 0}));
}

TEST_F(dxScrollHelperTest, GesturesPanOnlyAxesWithAnEnabledBar)
{
  struct TCase {
    const char* Name;
    TSize Content;
    TPoint Delta;
    TPoint Expected;  // from (50, 50), clamped
    size_t Overpans;
  };
  const TCase cases[] = {
      {"both bars", {1000, 900}, {20, -30}, {30, 80}, 2},
      {"only a vertical bar", {100, 900}, {20, -30}, {0, 80}, 1},
      {"no bars", {100, 100}, {20, -30}, {0, 0}, 0},
      {"no movement", {1000, 900}, {0, 0}, {50, 50}, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    FControl->Content = c.Content;
    FControl->Recalculate();
    // An axis without room to scroll clamps to 0 here.
    TdxScrollHelper::SetPos(FControl, 50, 50);
    FControl->Overpans.clear();
    // Through the base control, which hands scrolling controls over.
    FControl->GestureScroll(c.Delta.x, c.Delta.y);
    EXPECT_EQ((TPoint{FControl->Left, FControl->Top}), c.Expected);
    EXPECT_EQ(FControl->Overpans.size(), c.Overpans);
  }
}

}  // namespace
