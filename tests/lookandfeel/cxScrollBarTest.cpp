#include "lookandfeel/cxScrollBar.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/cxGeometry.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "platform/rtl/SysUtils.h"
#include "tests/support/TestHost.h"

using enum TcxScrollBarPart;
using enum TScrollBarKind;
using enum TScrollCode;

namespace {

bool SameRect(const TRect& A, const TRect& B)
{
  return cxRectsEqual(A, B);
}

std::string RectText(const TRect& R)
{
  return "(" + std::to_string(R.left) + ", " + std::to_string(R.top) + ", " + std::to_string(R.right) + ", " +
         std::to_string(R.bottom) + ")";
}

// The bar's host without a window: its own look and feel and a 1:1 scale.
class TScrollBarTestOwner : public TcxIUnknownObject, public IcxScrollBarOwner {
  RTL_CLASS(TScrollBarTestOwner, TcxIUnknownObject)
  RTL_INTERFACES(IcxScrollBarOwner)

 public:
  void Create()
  {
    inherited::Create();
    FLookAndFeel = rtl::New<TcxLookAndFeel>(nullptr);
    FScale = rtl::New<TdxScaleFactor>();
  }
  void Destroy() override
  {
    rtl::FreeAndNil(FScale);
    rtl::FreeAndNil(FLookAndFeel);
    inherited::Destroy();
  }
  vcl::TWinControl* __stdcall GetControl() override { return nullptr; }
  TcxLookAndFeel* __stdcall GetLookAndFeel() override { return FLookAndFeel; }
  TdxScaleFactor* __stdcall GetScaleFactor() override { return FScale; }

 private:
  TcxLookAndFeel* FLookAndFeel;
  TdxScaleFactor* FScale;
};

// A minimal thumb of 8 pixels and no hot tracking, as in the worked layout.
class TScrollBarTestPainter : public TcxScrollBarPainter {
  RTL_CLASS(TScrollBarTestPainter, TcxScrollBarPainter)

 public:
  int GetMinThumbnailSize() override { return 8; }
  bool IsButtonHotTrack() override { return false; }
};

// Default thickness 17; the capture, the cursor and the direction are the
// test's to set.
class TScrollBarTestHelper : public TcxScrollBarHelper {
  RTL_CLASS(TScrollBarTestHelper, TcxScrollBarHelper)

 public:
  bool RightToLeft = false;
  bool Capturing = true;
  TPoint Cursor{};

  bool IsRightToLeft() override { return RightToLeft; }

 protected:
  TSize DoGetDefaultSize() override { return {17, 17}; }
  TcxScrollBarPainterClass GetPainterClass() override { return TcxScrollBarPainterClass::Of<TScrollBarTestPainter>(); }
  bool DoIsOwnerCapturing() override { return Capturing; }
  TPoint DoScreenToOwnerClient(const TPoint& /*APoint*/) override { return Cursor; }
};

// Records OnScroll and OnChange as text.
class TScrollBarTestLog {
 public:
  void Attach(TcxScrollBarHelper* ABar)
  {
    ABar->SetOnScroll(TScrollEvent::Bind<&TScrollBarTestLog::Scroll>(this));
    ABar->SetOnChange(rtl::TNotifyEvent::Bind<&TScrollBarTestLog::Change>(this));
  }
  void Scroll(rtl::TObject* /*Sender*/, TScrollCode ACode, int& APos)
  {
    static const char* const names[] = {"scLineUp", "scLineDown", "scPageUp", "scPageDown", "scPosition",
                                        "scTrack",  "scTop",      "scBottom", "scEndScroll"};
    Events.push_back(names[ACode] + std::string(" ") + std::to_string(APos));
  }
  void Change(rtl::TObject* /*Sender*/) { Events.push_back("change"); }

  std::vector<std::string> Take()
  {
    std::vector<std::string> result;
    result.swap(Events);
    return result;
  }

  std::vector<std::string> Events;
};

using TStrings = std::vector<std::string>;

class cxScrollBarHelperTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    FOwner.reset(rtl::New<TScrollBarTestOwner>());
    FBar = rtl::New<TScrollBarTestHelper>(static_cast<IcxScrollBarOwner*>(FOwner.get()));
    FBarPtr.reset(FBar);
  }
  void TearDown() override
  {
    FBarPtr.reset();
    FOwner.reset();
  }

  // The worked vertical bar: 17 x 200, 0..99, page 10.
  void MakeWorkedBar(int APosition)
  {
    FBar->SetKind(sbVertical);
    FBar->SetBoundsRect({0, 0, 17, 200});
    FBar->SetScrollParams(0, 99, APosition, 10, false);
    FBar->Calculate();
    FLog.Attach(FBar);
  }
  TRect Part(TcxScrollBarPart APart) { return FBar->GetViewInfo()->GetPartInfo(APart)->GetBounds(); }

  rtl::TOwnedPtr<TScrollBarTestOwner> FOwner;
  rtl::TOwnedPtr<TScrollBarTestHelper> FBarPtr;
  TScrollBarTestHelper* FBar = nullptr;
  TScrollBarTestLog FLog;
};

TEST_F(cxScrollBarHelperTest, LaysOutArrowsThumbAndPageAreas)
{
  struct TCase {
    const char* Name;
    TScrollBarKind Kind;
    TRect Bounds;
    int Min, Max, Position, PageSize;
    bool RightToLeft;
    TRect LineUp, LineDown, Thumb, PageUp, PageDown;
  };
  const TCase cases[] = {
      {"worked layout", sbVertical, {0, 0, 17, 200}, 0, 99, 30, 10, false,
       {0, 0, 17, 17}, {0, 183, 17, 200}, {0, 67, 17, 84}, {0, 17, 17, 67}, {0, 84, 17, 183}},
      {"top", sbVertical, {0, 0, 17, 200}, 0, 99, 0, 10, false,
       {0, 0, 17, 17}, {0, 183, 17, 200}, {0, 17, 17, 34}, {0, 17, 17, 17}, {0, 34, 17, 183}},
      {"at the free end", sbVertical, {0, 0, 17, 200}, 0, 99, 90, 10, false,
       {0, 0, 17, 17}, {0, 183, 17, 200}, {0, 166, 17, 183}, {0, 17, 17, 166}, {0, 183, 17, 183}},
      {"beyond the free end", sbVertical, {0, 0, 17, 200}, 0, 99, 99, 10, false,
       {0, 0, 17, 17}, {0, 183, 17, 200}, {0, 166, 17, 183}, {0, 17, 17, 166}, {0, 183, 17, 183}},
      {"short bar: half arrows, no thumb", sbVertical, {0, 0, 17, 30}, 0, 99, 30, 10, false,
       {0, 0, 17, 15}, {0, 15, 17, 30}, {}, {}, {}},
      {"empty range", sbVertical, {0, 0, 17, 200}, 5, 5, 5, 0, false,
       {0, 0, 17, 17}, {0, 183, 17, 200}, {}, {}, {}},
      {"horizontal, offset bounds", sbHorizontal, {10, 5, 210, 22}, 0, 99, 30, 10, false,
       {10, 5, 27, 22}, {193, 5, 210, 22}, {77, 5, 94, 22}, {27, 5, 77, 22}, {94, 5, 193, 22}},
      {"right to left: the left arrow scrolls down", sbHorizontal, {0, 0, 200, 17}, 0, 99, 30, 10, true,
       {183, 0, 200, 17}, {0, 0, 17, 17}, {116, 0, 133, 17}, {133, 0, 183, 17}, {17, 0, 116, 17}},
      {"right to left at Min: thumb at the right end", sbHorizontal, {0, 0, 200, 17}, 0, 99, 0, 10, true,
       {183, 0, 200, 17}, {0, 0, 17, 17}, {166, 0, 183, 17}, {183, 0, 183, 17}, {17, 0, 166, 17}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    FBar->RightToLeft = c.RightToLeft;
    FBar->SetKind(c.Kind);
    FBar->SetBoundsRect(c.Bounds);
    FBar->SetScrollParams(c.Min, c.Max, c.Position, c.PageSize, false);
    FBar->Calculate();
    EXPECT_PRED2(SameRect, Part(sbpLineUp), c.LineUp) << RectText(Part(sbpLineUp));
    EXPECT_PRED2(SameRect, Part(sbpLineDown), c.LineDown) << RectText(Part(sbpLineDown));
    if (c.PageSize == 0 && c.Max == c.Min) {
      // The system thumb, at the track's start.
      EXPECT_EQ(Part(sbpThumbnail).top, 17) << RectText(Part(sbpThumbnail));
      continue;
    }
    EXPECT_PRED2(SameRect, Part(sbpThumbnail), c.Thumb) << RectText(Part(sbpThumbnail));
    EXPECT_PRED2(SameRect, Part(sbpPageUp), c.PageUp) << RectText(Part(sbpPageUp));
    EXPECT_PRED2(SameRect, Part(sbpPageDown), c.PageDown) << RectText(Part(sbpPageDown));
  }
}

TEST_F(cxScrollBarHelperTest, DisabledBarHasNoThumbAndDrawsEveryPartDisabled)
{
  MakeWorkedBar(30);
  FBar->SetEnabled(false);
  FBar->Calculate();
  EXPECT_TRUE(cxRectHasNoArea(Part(sbpThumbnail)));
  EXPECT_TRUE(cxRectHasNoArea(Part(sbpPageUp)));
  EXPECT_EQ(FBar->GetViewInfo()->GetPartInfo(sbpLineUp)->GetState(), TcxButtonState::cxbsDisabled);
}

TEST_F(cxScrollBarHelperTest, ReadsThePositionBackFromTheThumb)
{
  MakeWorkedBar(0);
  FBar->GetViewInfo()->SetThumbnailPos(67);
  EXPECT_EQ(FBar->GetViewInfo()->CalculatePositionFromThumbnail(), 30) << "Min + MulDiv(90, 50, 149)";
  FBar->GetViewInfo()->SetThumbnailPos(166);
  EXPECT_EQ(FBar->GetViewInfo()->CalculatePositionFromThumbnail(), 90) << "Max + 1 - PageSize";

  // A thumb that fills the whole track cannot move: it stands for Min, and
  // nothing divides by the free track of 0 pixels.
  FBar->SetBoundsRect({0, 0, 17, 42});
  FBar->SetScrollParams(3, 12, 8, 9, false);
  FBar->Calculate();
  ASSERT_PRED2(SameRect, Part(sbpThumbnail), (TRect{0, 17, 17, 25}));
  EXPECT_EQ(FBar->GetViewInfo()->CalculatePositionFromThumbnail(), 3);
}

TEST_F(cxScrollBarHelperTest, InconsistentRangeRaisesAndKeepsTheValues)
{
  MakeWorkedBar(30);
  EXPECT_THROW(FBar->SetMax(-1), rtl::EInvalidOperation);
  EXPECT_THROW(FBar->SetPageSize(100), rtl::EInvalidOperation);
  try {
    FBar->SetMin(100);
  } catch (const rtl::EInvalidOperation& E) {
    EXPECT_EQ(E.Message(), L"Scrollbar property out of range");
  }
  EXPECT_EQ(FBar->GetMin(), 0);
  EXPECT_EQ(FBar->GetMax(), 99);
  EXPECT_EQ(FBar->GetPageSize(), 10);
  EXPECT_EQ(FBar->GetPosition(), 30);
  EXPECT_TRUE(FLog.Events.empty());
}

TEST_F(cxScrollBarHelperTest, StepsAreClampedToTheRange)
{
  MakeWorkedBar(99);
  FBar->ScrollByCode(scLineDown);
  EXPECT_EQ(FLog.Take(), (TStrings{"scLineDown 99"})) << "OnScroll sees the clamped value, no OnChange";
  FBar->SetLargeChange(10);
  FBar->ScrollByCode(scPageDown);
  FBar->ScrollByCode(scTop);
  EXPECT_EQ(FLog.Take(), (TStrings{"scPageDown 99", "scTop 0", "change"}));
  EXPECT_EQ(FBar->GetPosition(), 0);
}

TEST_F(cxScrollBarHelperTest, ClickOnAnArrowStepsAtPressAndEndsAtRelease)
{
  MakeWorkedBar(30);
  FBar->MouseDown(vcl::TMouseButton::mbLeft, {}, 8, 190);
  EXPECT_EQ(FLog.Take(), (TStrings{"scLineDown 31", "change"}));
  EXPECT_TRUE(FBar->GetController()->GetTimer()->GetEnabled());
  FBar->MouseUp(vcl::TMouseButton::mbLeft, {}, 8, 190);
  EXPECT_EQ(FLog.Take(), (TStrings{"scEndScroll 31"})) << "no scPosition for arrows";
  EXPECT_FALSE(FBar->GetController()->GetTimer()->GetEnabled());

  FBar->MouseDown(vcl::TMouseButton::mbRight, {}, 8, 190);
  EXPECT_TRUE(FLog.Events.empty()) << "only the left button scrolls";
}

TEST_F(cxScrollBarHelperTest, HeldArrowRepeatsFirstAfter400ThenEvery60WhileTheMouseIsOverIt)
{
  MakeWorkedBar(30);
  TcxScrollBarController* controller = FBar->GetController();
  TcxTimer* timer = controller->GetTimer();
  FBar->Cursor = {8, 190};
  FBar->MouseDown(vcl::TMouseButton::mbLeft, {}, 8, 190);
  EXPECT_EQ(timer->GetInterval(), 400u);
  controller->RepeatTimerHandler(timer);
  EXPECT_EQ(timer->GetInterval(), 60u);
  EXPECT_TRUE(timer->GetEnabled());
  controller->RepeatTimerHandler(timer);
  EXPECT_EQ(FLog.Take(), (TStrings{"scLineDown 31", "change", "scLineDown 32", "change", "scLineDown 33", "change"}));

  FBar->MouseMove({}, 8, 100);
  EXPECT_FALSE(timer->GetEnabled()) << "leaving the arrow pauses";
  FBar->MouseMove({}, 8, 190);
  EXPECT_TRUE(timer->GetEnabled()) << "returning resumes";
  EXPECT_EQ(timer->GetInterval(), 60u);

  FBar->Cursor = {8, 100};
  controller->RepeatTimerHandler(timer);
  EXPECT_FALSE(timer->GetEnabled()) << "the tick under a cursor off the arrow steps once and waits";
  EXPECT_EQ(FLog.Take(), (TStrings{"scLineDown 34", "change"}));

  FBar->Capturing = false;
  controller->RepeatTimerHandler(timer);
  EXPECT_EQ(FLog.Take(), (TStrings{"scEndScroll 34"})) << "a host that lost the capture ends the press";
  EXPECT_EQ(FBar->GetViewInfo()->GetPressedPart(), sbpNone);
}

TEST_F(cxScrollBarHelperTest, ThumbDragTracksSnapsBackAndCommitsAtRelease)
{
  MakeWorkedBar(30);
  FBar->MouseDown(vcl::TMouseButton::mbLeft, {}, 8, 70);
  EXPECT_EQ(FLog.Take(), (TStrings{"scTrack 30"}));
  FBar->MouseMove({}, 8, 70 + 99);
  EXPECT_PRED2(SameRect, Part(sbpThumbnail), (TRect{0, 166, 17, 183})) << "clamped at the lower arrow";
  EXPECT_EQ(FLog.Take(), (TStrings{"scTrack 90", "change"})) << "a drag reaches Max + 1 - PageSize";

  FBar->MouseMove({}, 17 + 137, 100);
  EXPECT_EQ(FLog.Take(), (TStrings{"change", "scTrack 30"})) << "136 pixels across snaps back";
  EXPECT_EQ(FBar->GetPosition(), 30);

  FBar->MouseMove({}, 8, 70 + 10);
  FLog.Take();
  FBar->MouseUp(vcl::TMouseButton::mbLeft, {}, 8, 80);
  EXPECT_EQ(FLog.Take(), (TStrings{"scPosition 36", "scEndScroll 36"})) << "Min + MulDiv(90, 60, 149)";
  EXPECT_EQ(FBar->GetViewInfo()->GetPressedPart(), sbpNone);
}

TEST_F(cxScrollBarHelperTest, UnlimitedTrackingNeverSnapsBack)
{
  MakeWorkedBar(30);
  FBar->SetUnlimitedTracking(true);
  FBar->MouseDown(vcl::TMouseButton::mbLeft, {}, 8, 70);
  FBar->MouseMove({}, 500, 80);
  FLog.Take();
  EXPECT_EQ(FBar->GetPosition(), 36);
}

TEST_F(cxScrollBarHelperTest, PressAndReleaseOfTheThumbStoresThePositionItShows)
{
  MakeWorkedBar(95);
  FBar->MouseDown(vcl::TMouseButton::mbLeft, {}, 8, 170);
  FBar->MouseUp(vcl::TMouseButton::mbLeft, {}, 8, 170);
  EXPECT_EQ(FLog.Take(), (TStrings{"scTrack 95", "scPosition 90", "scEndScroll 90"})) << "no OnChange";
  EXPECT_EQ(FBar->GetPosition(), 90);
}

TEST_F(cxScrollBarHelperTest, CancelModeEndsAPressAndVisibilityLossCancels)
{
  MakeWorkedBar(30);
  FBar->SetVisible(true);
  FBar->MouseDown(vcl::TMouseButton::mbLeft, {}, 8, 5);
  FLog.Take();
  FBar->SetVisible(false);
  EXPECT_EQ(FLog.Take(), (TStrings{"scEndScroll 29"}));
  EXPECT_FALSE(FBar->GetController()->GetTimer()->GetEnabled());
  EXPECT_EQ(FBar->GetViewInfo()->GetHotPart(), sbpNone);
}

// OnScroll frees the bar during its own click: nothing touches it after.
class TScrollBarTestFreer {
 public:
  rtl::TOwnedPtr<TScrollBarTestHelper>* Bar = nullptr;
  void Scroll(rtl::TObject* /*Sender*/, TScrollCode /*ACode*/, int& /*APos*/) { Bar->reset(); }
};

TEST_F(cxScrollBarHelperTest, BarFreedByItsOwnScrollHandlerIsNotTouchedAfterwards)
{
  MakeWorkedBar(30);
  TScrollBarTestFreer freer{&FBarPtr};
  FBar->SetOnScroll(TScrollEvent::Bind<&TScrollBarTestFreer::Scroll>(&freer));
  FBar->MouseDown(vcl::TMouseButton::mbLeft, {}, 8, 190);
  EXPECT_EQ(FBarPtr.get(), nullptr);
}

// ---------------------------------------------------------------------------
// Painting

class cxScrollBarPaintTest : public kvtest::THostedTest {};

TEST_F(cxScrollBarPaintTest, PaintsItsPartsAndLeavesTheHostsClipWithoutIt)
{
  auto* bar = AddChild<TcxScrollBar>({0, 0, 200, 17});
  // The native painter is not registered here: the standard one draws.
  bar->GetLookAndFeel()->SetNativeStyle(false);
  bar->SetScrollParams(0, 99, 30, 10);
  rtl::TOwnedPtr<TcxBitmap> bitmap(rtl::NewWith<TcxBitmap>([](TcxBitmap* B) { B->CreateSize(200, 17); }));
  TcxCanvas* canvas = bitmap->GetcxCanvas();
  canvas->FillRect({0, 0, 200, 17}, vcl::clFuchsia);
  bar->GetHelper()->Paint(canvas);
  EXPECT_FALSE(canvas->RectVisible({0, 0, 200, 17})) << "the bar leaves the clip";

  int painted = 0;
  for (int x = 0; x < 200; ++x)
    painted += GetPixel(canvas->GetHandle(), x, 8) != RGB(255, 0, 255);
  EXPECT_EQ(painted, 200) << "the bar covers its whole bounds";

  const rtl::TOwnedPtr<TdxPNGImage> png(rtl::New<TdxPNGImage>());
  png->LoadFromBitmap(bitmap.get());
  const char* folder = std::getenv("KV_RENDER_DIR");
  if (folder)
    png->SaveToFile(std::wstring(folder, folder + std::strlen(folder)) + L"\\ScrollBar.png");
}

TEST_F(cxScrollBarPaintTest, KindChangeSwapsWidthAndHeight)
{
  auto* bar = AddChild<TcxScrollBar>({0, 0, 121, 17});
  bar->SetKind(sbVertical);
  EXPECT_EQ(bar->GetWidth(), 17);
  EXPECT_EQ(bar->GetHeight(), 121);
  EXPECT_PRED2(SameRect, bar->GetHelper()->GetBoundsRect(), (TRect{0, 0, 17, 121}));
}

}  // namespace
