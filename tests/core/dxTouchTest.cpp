// The gesture helper fed gesture steps as the window's messages would bring
// them: pan with over-pan at the content's ends, zoom, the options a target
// allows, and the pan-flag conversions.
#include <gtest/gtest.h>

#include <vector>

#include "core/dxTouch.h"

namespace {

using enum TdxGestureFlag;
using enum TdxInteractiveGestureOption;

// A scrolling target that records what it is told and also zooms.
class TdxTouchTestClient : public rtl::TNoRefCountObject, public IdxGestureClient, public IdxZoomClient {
  RTL_CLASS(TdxTouchTestClient, rtl::TNoRefCountObject)
  RTL_INTERFACES(IdxGestureClient, IdxZoomClient)

 public:
  bool PanArea = true;
  bool AllowHorizontal = true;
  bool AllowVertical = true;
  bool Feedback = true;
  bool Scrolling = false;
  std::vector<TPoint> Scrolls;
  std::vector<int> Zooms;

  bool __stdcall GestureAllowGesture(DWORD) override { return true; }
  bool __stdcall GestureAllowPan(TdxScrollKind AKind) override
  {
    return AKind == sbHorizontal ? AllowHorizontal : AllowVertical;
  }
  void __stdcall GestureBeginScroll(const TPoint&) override { Scrolling = true; }
  void __stdcall GestureEndScroll() override { Scrolling = false; }
  void __stdcall GestureScroll(int ADeltaX, int ADeltaY) override { Scrolls.push_back({ADeltaX, ADeltaY}); }
  DWORD __stdcall GestureGetPanOptions() override { return GC_PAN; }
  bool __stdcall GestureIsPanArea(const TPoint&) override { return PanArea; }
  bool __stdcall GestureNeedPanningFeedback(TdxScrollKind) override { return Feedback; }
  void __stdcall Zoom(int ADelta, bool& AHandled) override
  {
    Zooms.push_back(ADelta);
    AHandled = true;
  }
};

class TdxTouchTestOwner : public rtl::TNoRefCountObject, public IdxGestureOwner {
  RTL_CLASS(TdxTouchTestOwner, rtl::TNoRefCountObject)
  RTL_INTERFACES(IdxGestureOwner)

 public:
  TdxTouchTestClient* Client = nullptr;

  void __stdcall GestureGetClientAt(const TPoint&, rtl::IPtr<IdxGestureClient>& AClient) override
  {
    AClient = rtl::IPtr<IdxGestureClient>(Client);
  }
  HWND __stdcall GestureGetHandle() override { return nullptr; }
  bool __stdcall GestureIsTarget(HWND) override { return false; }
  TPoint __stdcall GestureScreenToClient(const TPoint& APoint) override { return APoint; }
};

class dxTouchTest : public testing::Test {
 protected:
  void SetUp() override
  {
    FClient.reset(rtl::New<TdxTouchTestClient>());
    FOwner.reset(rtl::New<TdxTouchTestOwner>());
    FOwner->Client = FClient.get();
    FHelper.reset(rtl::New<TdxGestureHelper>(static_cast<IdxGestureOwner*>(FOwner.get())));
  }
  void TearDown() override { FHelper.reset(); }

  // Announces a gesture at the origin, as the owner's configuration does.
  void Announce(TdxInteractiveGestures& AGestures, TdxInteractiveGestureOptions& AOptions)
  {
    TdxGestureHelper::SetStartPoint({0, 0});
    FHelper->CheckGestureOptions(AGestures, AOptions);
  }

  bool Step(int AID, TPoint ALocation, TdxGestureFlags AFlags, int ADistance = 0)
  {
    bool handled = false;
    FHelper->DoGesture({AID, ALocation, AFlags, ADistance, 0}, handled);
    return handled;
  }

  rtl::TOwnedPtr<TdxTouchTestClient> FClient;
  rtl::TOwnedPtr<TdxTouchTestOwner> FOwner;
  rtl::TOwnedPtr<TdxGestureHelper> FHelper;
};

const TdxInteractiveGestureOptions kSingleFinger{igoPanSingleFingerHorizontal, igoPanSingleFingerVertical,
                                                 igoPanInertia};

}  // namespace

TEST_F(dxTouchTest, TheTargetDecidesWhichPanOptionsRemain)
{
  struct TCase {
    const char* Name;
    bool PanArea, AllowHorizontal, AllowVertical;
    TdxInteractiveGestureOptions Expected;
    bool PanKept;
  } const cases[] = {
      {"outside any pan area", false, true, true, {igoPanInertia}, false},
      {"both directions", true, true, true, kSingleFinger, true},
      {"horizontal only", true, true, false, {igoPanSingleFingerHorizontal, igoPanInertia}, true},
      {"neither direction", true, false, false, {igoPanInertia}, false},
  };
  for (const TCase& c : cases) {
    FClient->PanArea = c.PanArea;
    FClient->AllowHorizontal = c.AllowHorizontal;
    FClient->AllowVertical = c.AllowVertical;
    TdxInteractiveGestures gestures{TdxInteractiveGesture::igPan, TdxInteractiveGesture::igZoom};
    TdxInteractiveGestureOptions options = kSingleFinger;
    Announce(gestures, options);
    EXPECT_EQ(options, c.Expected) << c.Name;
    EXPECT_EQ(gestures.Contains(TdxInteractiveGesture::igPan), c.PanKept) << c.Name;
    EXPECT_TRUE(gestures.Contains(TdxInteractiveGesture::igZoom)) << c.Name;
  }
}

TEST_F(dxTouchTest, PanningBackConsumesTheOverPanBeforeScrolling)
{
  TdxInteractiveGestures gestures{TdxInteractiveGesture::igPan};
  TdxInteractiveGestureOptions options = kSingleFinger;
  Announce(gestures, options);

  EXPECT_TRUE(Step(igiPan, {50, 50}, {gfBegin}));
  EXPECT_TRUE(FHelper->IsPanning());
  EXPECT_TRUE(FClient->Scrolling);
  // Each step: the finger's location, then an over-pan the target reports
  // because the step took it past the content's top.
  struct TCase {
    TPoint Location;
    TPoint Scrolled;
    int OverPanReported;
    int OverPanAfter;
  } const steps[] = {
      {{50, 40}, {0, -10}, -10, -10},  // past the end: the target reports it
      {{50, 46}, {0, 0}, 0, -4},       // back: the over-pan takes all 6
      {{48, 56}, {-2, 6}, 0, 0},       // the remaining 4, then 6 scroll
  };
  for (const auto& s : steps) {
    FClient->Scrolls.clear();
    Step(igiPan, s.Location, {});
    ASSERT_EQ(FClient->Scrolls.size(), 1u);
    EXPECT_EQ(FClient->Scrolls[0].x, s.Scrolled.x) << s.Location.y;
    EXPECT_EQ(FClient->Scrolls[0].y, s.Scrolled.y) << s.Location.y;
    if (s.OverPanReported)
      FHelper->CheckOverpan(sbVertical, -5, 0, 100, 0, s.OverPanReported);
    EXPECT_EQ(FHelper->GetOverPan().y, s.OverPanAfter) << s.Location.y;
  }
  // Inside the content nothing is over-panned.
  FHelper->CheckOverpan(sbVertical, 50, 0, 100, 0, -7);
  EXPECT_EQ(FHelper->GetOverPan().y, 0);

  Step(igiPan, {48, 60}, {gfEnd});
  EXPECT_FALSE(FHelper->IsPanning());
  EXPECT_FALSE(FClient->Scrolling);
}

TEST_F(dxTouchTest, DestroyingTheWindowEndsARunningPan)
{
  TdxInteractiveGestures gestures{TdxInteractiveGesture::igPan};
  TdxInteractiveGestureOptions options = kSingleFinger;
  Announce(gestures, options);
  Step(igiPan, {5, 5}, {gfBegin});
  rtl::TMessage message{WM_DESTROY, 0, 0, 0};
  EXPECT_FALSE(FHelper->HandleMessage(message));
  EXPECT_FALSE(FHelper->IsPanning());
  EXPECT_FALSE(FClient->Scrolling);
}

TEST_F(dxTouchTest, ZoomHandsOnTheChangeOfDistance)
{
  TdxInteractiveGestures gestures{TdxInteractiveGesture::igZoom};
  TdxInteractiveGestureOptions options;
  Announce(gestures, options);
  EXPECT_TRUE(Step(igiZoom, {}, {gfBegin}, 100));
  EXPECT_TRUE(Step(igiZoom, {}, {}, 130));
  EXPECT_TRUE(Step(igiZoom, {}, {gfEnd}, 120));
  EXPECT_EQ(FClient->Zooms, (std::vector<int>{0, 30, -10}));
  // Rotation: this target takes none.
  EXPECT_FALSE(Step(igiRotate, {}, {gfBegin, gfEnd}));
}

TEST(dxTouchRoutinesTest, PanFlagsAndGestureIds)
{
  struct TCase {
    DWORD Flags;
    TdxInteractiveGestureOptions Options;
  } const cases[] = {
      {0, {}},
      {GC_PAN_WITH_SINGLE_FINGER_VERTICALLY, {igoPanSingleFingerVertical}},
      {GC_PAN_WITH_SINGLE_FINGER_HORIZONTALLY | GC_PAN_WITH_GUTTER, {igoPanSingleFingerHorizontal, igoPanGutter}},
      {GC_PAN_WITH_INERTIA | GC_PAN_WITH_SINGLE_FINGER_VERTICALLY | GC_PAN_WITH_SINGLE_FINGER_HORIZONTALLY |
           GC_PAN_WITH_GUTTER,
       {igoPanSingleFingerHorizontal, igoPanSingleFingerVertical, igoPanInertia, igoPanGutter}},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(dxGestureOptionsFromPanOptions(c.Flags), c.Options) << c.Flags;
    EXPECT_EQ(dxPanOptionsFromGestureOptions(c.Options), c.Flags) << c.Flags;
  }
  EXPECT_EQ(dxPanOptionToGestureOption(GC_PAN_WITH_SINGLE_FINGER_VERTICALLY), igoPanSingleFingerVertical);
  EXPECT_EQ(dxPanOptionToGestureOption(12345), igoPanInertia);
  const std::pair<DWORD, int> ids[] = {{GID_ZOOM, 0}, {GID_PAN, 1}, {GID_ROTATE, 2}, {GID_TWOFINGERTAP, 3},
                                       {GID_PRESSANDTAP, 4}, {GID_BEGIN, 4}};
  for (const auto& [id, index] : ids)
    EXPECT_EQ(dxGestureIDToIndex(id), index) << id;

  // Blocking answers 1 whether or not the system can configure gestures.
  rtl::TMessage message{WM_GESTURENOTIFY, 0, 0, 0};
  dxBlockAllGestures(nullptr, message);
  EXPECT_EQ(message.Result, 1);
}
