// The gesture helper fed gesture steps as the window's messages would bring
// them: pan with over-pan at the content's ends, zoom, the options a target
// allows, the control a gesture goes to, and the pan-flag conversions.
#include <gtest/gtest.h>

#include <vector>

#include "core/dxTouch.h"
#include "platform/vcl/Forms.h"

namespace {

using enum vcl::TInteractiveGestureFlag;
using enum vcl::TInteractiveGestureOption;
using vcl::igiPan;
using vcl::igiRotate;
using vcl::igiZoom;

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
  void Announce(vcl::TInteractiveGestures& AGestures, vcl::TInteractiveGestureOptions& AOptions)
  {
    TdxGestureHelper::SetStartPoint({0, 0});
    FHelper->CheckGestureOptions(AGestures, AOptions);
  }

  bool Step(int AID, TPoint ALocation, vcl::TInteractiveGestureFlags AFlags, int ADistance = 0)
  {
    vcl::TGestureEventInfo event{};
    event.GestureID = AID;
    event.Location = ALocation;
    event.Flags = AFlags;
    event.Distance = ADistance;
    bool handled = false;
    FHelper->DoGesture(event, handled);
    return handled;
  }

  rtl::TOwnedPtr<TdxTouchTestClient> FClient;
  rtl::TOwnedPtr<TdxTouchTestOwner> FOwner;
  rtl::TOwnedPtr<TdxGestureHelper> FHelper;
};

const vcl::TInteractiveGestureOptions kSingleFinger{igoPanSingleFingerHorizontal, igoPanSingleFingerVertical,
                                                 igoPanInertia};

}  // namespace

TEST_F(dxTouchTest, TheTargetDecidesWhichPanOptionsRemain)
{
  struct TCase {
    const char* Name;
    bool PanArea, AllowHorizontal, AllowVertical;
    vcl::TInteractiveGestureOptions Expected;
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
    vcl::TInteractiveGestures gestures{vcl::TInteractiveGesture::igPan, vcl::TInteractiveGesture::igZoom};
    vcl::TInteractiveGestureOptions options = kSingleFinger;
    Announce(gestures, options);
    EXPECT_EQ(options, c.Expected) << c.Name;
    EXPECT_EQ(gestures.Contains(vcl::TInteractiveGesture::igPan), c.PanKept) << c.Name;
    EXPECT_TRUE(gestures.Contains(vcl::TInteractiveGesture::igZoom)) << c.Name;
  }
}

TEST_F(dxTouchTest, PanningBackConsumesTheOverPanBeforeScrolling)
{
  vcl::TInteractiveGestures gestures{vcl::TInteractiveGesture::igPan};
  vcl::TInteractiveGestureOptions options = kSingleFinger;
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
  vcl::TInteractiveGestures gestures{vcl::TInteractiveGesture::igPan};
  vcl::TInteractiveGestureOptions options = kSingleFinger;
  Announce(gestures, options);
  Step(igiPan, {5, 5}, {gfBegin});
  rtl::TMessage message{WM_DESTROY, 0, 0, 0};
  EXPECT_FALSE(FHelper->HandleMessage(message));
  EXPECT_FALSE(FHelper->IsPanning());
  EXPECT_FALSE(FClient->Scrolling);
}

TEST_F(dxTouchTest, ZoomHandsOnTheChangeOfDistance)
{
  vcl::TInteractiveGestures gestures{vcl::TInteractiveGesture::igZoom};
  vcl::TInteractiveGestureOptions options;
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
    vcl::TInteractiveGestureOptions Options;
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

namespace {

// A control that records the gesture steps it is sent and answers whether
// it took them.
class TdxTouchTestControl : public vcl::TCustomControl {
  RTL_CLASS(TdxTouchTestControl, vcl::TCustomControl)
  RTL_MESSAGES(RTL_MESSAGE(rtl::CM_GESTURE, CMGesture))

 public:
  void Create(rtl::TComponent* AOwner) override
  {
    inherited::Create(AOwner);
    FControlStyle.Include(vcl::TControlStyleItem::csAcceptsControls);
  }

  std::vector<vcl::TGestureEventInfo> Steps;

 private:
  void CMGesture(rtl::TMessage& AMessage)
  {
    Steps.push_back(*reinterpret_cast<const vcl::TGestureEventInfo*>(AMessage.LParam));
    AMessage.Result = 1;
  }
};

// Gesture information as the system would give it, whether or not the
// system can.
class TdxTouchTestHelper : public TdxGestureHelper {
  RTL_CLASS(TdxTouchTestHelper, TdxGestureHelper)

 public:
  GESTUREINFO Next{};

 protected:
  bool ReadGestureInfo(HGESTUREINFO, GESTUREINFO& AInfo) override
  {
    AInfo = Next;
    return true;
  }
};

// The window whose gesture messages the helper handles.
class TdxTouchTestWindow : public TdxTouchTestControl, public IdxGestureOwner {
  RTL_CLASS(TdxTouchTestWindow, TdxTouchTestControl)
  RTL_INTERFACES(IdxGestureOwner)

 public:
  void Create(rtl::TComponent* AOwner) override
  {
    inherited::Create(AOwner);
    Helper = rtl::New<TdxTouchTestHelper>(static_cast<IdxGestureOwner*>(this));
  }
  void Destroy() override
  {
    rtl::FreeAndNil(Helper);
    inherited::Destroy();
  }

  TdxTouchTestHelper* Helper = nullptr;

  void __stdcall GestureGetClientAt(const TPoint&, rtl::IPtr<IdxGestureClient>& AClient) override { AClient.Reset(); }
  HWND __stdcall GestureGetHandle() override { return GetHandle(); }
  bool __stdcall GestureIsTarget(HWND AWnd) override { return AWnd == GetHandle(); }
  TPoint __stdcall GestureScreenToClient(const TPoint& APoint) override { return ScreenToClient(APoint); }

 protected:
  void WndProc(rtl::TMessage& AMessage) override
  {
    if (!Helper || !Helper->HandleMessage(AMessage))
      inherited::WndProc(AMessage);
  }
};

}  // namespace

TEST(dxTouchWalkTest, AGestureTheTouchedControlLeavesToItsParentGoesUpTheChain)
{
  using enum vcl::TInteractiveGesture;
  rtl::TOwnedPtr<vcl::TForm> form(rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(nullptr); }));
  form->SetBounds(50, 50, 400, 300);
  auto* window = rtl::New<TdxTouchTestWindow>(form.get());
  window->SetBounds(10, 10, 300, 200);
  window->SetParent(form.get());
  auto* child = rtl::New<TdxTouchTestControl>(form.get());
  child->SetBounds(20, 20, 100, 80);
  child->SetParent(window);
  form->HandleNeeded();
  const TPoint start = child->ClientToScreen(TPoint{5, 5});

  const struct {
    const char* Name;
    bool Passthrough;
    vcl::TInteractiveGestures Gestures;
    TdxTouchTestControl* Receiver;
  } cases[] = {
      {"left to the parent", true, {igZoom}, window},
      {"taken by the control", true, {igPan}, child},
      {"kept by the control", false, {}, child},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    window->Steps.clear();
    child->Steps.clear();
    vcl::TInteractiveGestureOptions options{vcl::TInteractiveGestureOption::igoPanInertia};
    if (c.Passthrough)
      options.Include(igoParentPassthrough);
    child->GetTouch()->SetInteractiveGestureOptions(options);
    child->GetTouch()->SetInteractiveGestures(c.Gestures);

    GESTURENOTIFYSTRUCT notify{sizeof(notify), 0, window->GetHandle(), {static_cast<SHORT>(start.x), static_cast<SHORT>(start.y)}, 0};
    SendMessageW(window->GetHandle(), WM_GESTURENOTIFY, 0, reinterpret_cast<LPARAM>(&notify));
    ASSERT_EQ(window->Helper->GetNotifyTouchControl(), child);

    for (DWORD flags : {DWORD{GF_BEGIN}, DWORD{0}, DWORD{GF_END}}) {
      GESTUREINFO& info = window->Helper->Next;
      info = GESTUREINFO{};
      info.cbSize = sizeof(info);
      info.dwFlags = flags;
      info.dwID = GID_PAN;
      info.ptsLocation = {static_cast<SHORT>(start.x), static_cast<SHORT>(start.y)};
      EXPECT_EQ(SendMessageW(window->GetHandle(), WM_GESTURE, 0, 0), 1);
    }
    TdxTouchTestControl* other = c.Receiver == child ? static_cast<TdxTouchTestControl*>(window) : child;
    ASSERT_EQ(c.Receiver->Steps.size(), 3u);
    EXPECT_TRUE(other->Steps.empty());
    EXPECT_EQ(c.Receiver->Steps[0].GestureID, vcl::igiPan);
    EXPECT_TRUE(c.Receiver->Steps[0].Flags.Contains(gfBegin));
    EXPECT_TRUE(c.Receiver->Steps[2].Flags.Contains(gfEnd));
    const TPoint local = c.Receiver->ScreenToClient(start);
    EXPECT_EQ(c.Receiver->Steps[1].Location.x, local.x);
    EXPECT_EQ(c.Receiver->Steps[1].Location.y, local.y);
    EXPECT_EQ(window->Helper->GetTouchControl(), nullptr);
  }

  // A step without an announced control is left to the system.
  window->Steps.clear();
  child->Steps.clear();
  GESTURENOTIFYSTRUCT outside{sizeof(outside), 0, window->GetHandle(), {-30000, -30000}, 0};
  SendMessageW(window->GetHandle(), WM_GESTURENOTIFY, 0, reinterpret_cast<LPARAM>(&outside));
  EXPECT_EQ(window->Helper->GetNotifyTouchControl(), nullptr);
  window->Helper->Next.dwFlags = GF_BEGIN;
  EXPECT_EQ(SendMessageW(window->GetHandle(), WM_GESTURE, 0, 0), 0);
  EXPECT_TRUE(child->Steps.empty());
  EXPECT_TRUE(window->Steps.empty());
}
