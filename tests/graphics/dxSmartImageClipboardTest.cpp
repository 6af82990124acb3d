// Smart images on the clipboard and the stepping through animated GIFs, with
// GIF bytes written by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "dxImageTestBytes.h"
#include "graphics/cxGraphicsImageAnimation.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "tests/support/TestSupport.h"

using enum TdxDefaultBoolean;

namespace {

using namespace dxImageTestBytes;
using rtl::TOwnedPtr;

class SmartImageClipboardTest : public testing::Test {
 protected:
  void SetUp() override
  {
    if (!dxGpIsAvailable())
      GTEST_SKIP() << "the 2-D graphics library is not available";
  }
};

// The bytes the clipboard holds in AFormat; empty when it holds none.
TBytes ClipboardBytes(UINT AFormat)
{
  TBytes result;
  if (!OpenClipboard(nullptr))
    return result;
  if (HANDLE data = GetClipboardData(AFormat)) {
    const void* memory = GlobalLock(data);
    const auto* bytes = static_cast<const std::uint8_t*>(memory);
    result.assign(bytes, bytes + GlobalSize(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return result;
}

std::vector<UINT> ClipboardFormatList()
{
  std::vector<UINT> result;
  if (!OpenClipboard(nullptr))
    return result;
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format))
    result.push_back(format);
  CloseClipboard();
  return result;
}

bool Contains(const std::vector<UINT>& AList, UINT AValue)
{
  return std::find(AList.begin(), AList.end(), AValue) != AList.end();
}

TEST_F(SmartImageClipboardTest, EncodedImagesTravelInTheirOwnFormatAndAsABitmap)
{
  struct TCase {
    const char* Name;
    const wchar_t* ClipboardName;
    TBytes Bytes;
    TdxImageDataFormat Format;
    bool Lossless;
  };
  const TCase cases[] = {
      {"PNG", L"PNG", EncodedPattern(TdxGPImageCodecPNG::Class(), true), dxImagePng, true},
      {"TIFF", L"TIFF", EncodedPattern(TdxGPImageCodecTIFF::Class()), dxImageTiff, true},
      {"GIF", L"GIF", AnimatedGif(0), dxImageGif, true},
      {"JPEG", L"JPEG", EncodedPattern(TdxGPImageCodecJPEG::Class()), dxImageJpeg, false},
  };
  for (const TCase& item : cases) {
    TOwnedPtr<TdxSmartImage> source(NewImageOf(item.Bytes));
    source->CopyToClipboard();
    const std::vector<UINT> formats = ClipboardFormatList();
    EXPECT_TRUE(Contains(formats, CF_BITMAP)) << item.Name;
    const UINT own = RegisterClipboardFormatW(item.ClipboardName);
    EXPECT_TRUE(Contains(formats, own)) << item.Name;
    EXPECT_EQ(ClipboardBytes(own), item.Bytes) << item.Name << ": the bytes as loaded";

    TOwnedPtr<TdxSmartImage> target(rtl::New<TdxSmartImage>());
    EXPECT_TRUE(target->HasClipboardFormat());
    target->PasteFromClipboard();
    EXPECT_EQ(target->GetImageDataFormat(), item.Format) << item.Name << ": its own format comes first";
    EXPECT_EQ(target->GetSize(), source->GetSize()) << item.Name;
    if (item.Lossless) {
      EXPECT_EQ(ColorsOf(target->GetBitmapBits()), ColorsOf(source->GetBitmapBits())) << item.Name;
    }
  }
}

TEST_F(SmartImageClipboardTest, PixelImagesTravelAsABitmapDrawnOnWhite)
{
  TOwnedPtr<TdxSmartImage> source(NewPatternImage(true));
  source->CopyToClipboard();
  const std::vector<UINT> formats = ClipboardFormatList();
  EXPECT_TRUE(Contains(formats, CF_BITMAP));
  EXPECT_FALSE(Contains(formats, RegisterClipboardFormatW(L"PNG")));

  TOwnedPtr<TdxSmartImage> target(rtl::New<TdxSmartImage>());
  target->PasteFromClipboard();
  ASSERT_EQ(target->GetSize(), (TSize{PatternWidth, PatternHeight}));
  const std::vector<std::uint32_t> pasted = ColorsOf(target->GetBitmapBits());
  const std::vector<std::uint32_t> pattern = PatternColors(true);
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    // Opaque pixels as they were; half-transparent ones over white.
    const bool half = (pattern[i] >> 24) != 0xFF;
    const std::uint32_t expected = half ? (pattern[i] & 0x00FFFFFF) + 0x007F7F7F : pattern[i] & 0x00FFFFFF;
    for (int shift = 0; shift < 24; shift += 8) {
      const int got = static_cast<int>((pasted[i] >> shift) & 0xFF);
      const int want = static_cast<int>((expected >> shift) & 0xFF);
      EXPECT_NEAR(got, want, 2) << "pixel " << i;
    }
  }
}

TEST_F(SmartImageClipboardTest, CutEmptiesTheImageAndOtherFormatsAreIgnored)
{
  TOwnedPtr<TdxSmartImage> source(NewImageOf(EncodedPattern(TdxGPImageCodecPNG::Class())));
  source->CutToClipboard();
  EXPECT_TRUE(source->GetEmpty());

  TOwnedPtr<TdxSmartImage> target(rtl::New<TdxSmartImage>());
  EXPECT_TRUE(target->IsSupportClipboardFormat(static_cast<WORD>(RegisterClipboardFormatW(L"GIF"))));
  EXPECT_FALSE(target->IsSupportClipboardFormat(0));
  EXPECT_FALSE(target->IsSupportClipboardFormat(CF_TEXT));
  target->LoadFromClipboardFormat(CF_TEXT, nullptr, nullptr);
  EXPECT_TRUE(target->GetEmpty());

  // A clipboard without images leaves the image as it was.
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  EXPECT_FALSE(target->HasClipboardFormat());
  TOwnedPtr<TdxSmartImage> kept(NewPatternImage());
  kept->PasteFromClipboard();
  EXPECT_EQ(kept->GetSize(), (TSize{PatternWidth, PatternHeight}));
}

// ---------------------------------------------------------------------------
// Animation

// Counts the timer calls and lets the test take the steps.
constinit int AnimationTestTimerStarts = 0;
constinit bool AnimationTestTimerOn = false;
constinit void* AnimationTestController = nullptr;

class TClipboardTestAnimationController : public TdxSmartImageAnimationController {
  RTL_CLASS(TClipboardTestAnimationController, TdxSmartImageAnimationController)

 public:
  void Create(TdxCustomSmartImage* AImage) override
  {
    inherited::Create(AImage);
    AnimationTestController = this;
  }
  void Destroy() override
  {
    inherited::Destroy();
    AnimationTestController = nullptr;
  }
  void Step() { NextFrame(); }

 protected:
  void StartTimer() override
  {
    ++AnimationTestTimerStarts;
    AnimationTestTimerOn = true;
  }
  void StopTimer() override { AnimationTestTimerOn = false; }
  bool IsTimerActive() override { return AnimationTestTimerOn; }
};

class SmartImageAnimationTest : public SmartImageClipboardTest {
 protected:
  void SetUp() override
  {
    SmartImageClipboardTest::SetUp();
    FSavedClass = dxGetSmartImageAnimationControllerClass();
    dxSetSmartImageAnimationControllerClass(
        TdxSmartImageAnimationControllerClass::Of<TClipboardTestAnimationController>());
    AnimationTestTimerStarts = 0;
  }
  void TearDown() override { dxSetSmartImageAnimationControllerClass(FSavedClass); }

  // The frames shown, one step at a time, until the animation ends (at most
  // ALimit steps).
  static std::vector<int> Run(TdxCustomSmartImage* AImage, int ALimit)
  {
    std::vector<int> result{AImage->GetActiveFrame()};
    for (int i = 0; i < ALimit && AnimationTestController; ++i) {
      static_cast<TClipboardTestAnimationController*>(AnimationTestController)->Step();
      result.push_back(AImage->GetActiveFrame());
    }
    return result;
  }

  TdxSmartImageAnimationControllerClass FSavedClass;
};

TEST_F(SmartImageAnimationTest, GifFramesDelayAndLoopCount)
{
  struct TCase {
    int LoopCount;
    unsigned Delay;
    int FrameCount;
  };
  for (const TCase& item : {TCase{0, 10, 2}, TCase{2, 25, 3}, TCase{7, 4, 2}}) {
    TOwnedPtr<TdxSmartImage> image(NewImageOf(AnimatedGif(item.LoopCount, item.Delay, item.FrameCount)));
    EXPECT_EQ(image->AnimationFrameCount(), item.FrameCount);
    EXPECT_EQ(image->AnimationLoopCount(), item.LoopCount);
    EXPECT_EQ(image->GetAnimationFrameDelay(), static_cast<int>(item.Delay) * 10);
    EXPECT_TRUE(image->CanAnimate());
    image->SetAnimationFrameDelay(-3);
    EXPECT_EQ(image->GetAnimationFrameDelay(), static_cast<int>(item.Delay) * 10) << "negative means the file's";
    image->SetAnimationFrameDelay(40);
    EXPECT_EQ(image->GetAnimationFrameDelay(), 40);
  }
}

TEST_F(SmartImageAnimationTest, FramesShowTheirOwnPixels)
{
  TOwnedPtr<TdxSmartImage> image(NewImageOf(AnimatedGif(0)));
  EXPECT_EQ(ColorsOf(image->GetBitmapBits()), (std::vector<std::uint32_t>(4, 0xFFFF0000)));
  image->SetActiveFrame(1);
  EXPECT_EQ(ColorsOf(image->GetBitmapBits()), (std::vector<std::uint32_t>(4, 0xFF0000FF)));
}

TEST_F(SmartImageAnimationTest, EndOfSequenceFollowsTheLoopSetting)
{
  struct TCase {
    TdxDefaultBoolean Loop;
    int Expected;
  };
  for (const TCase& item : {TCase{bTrue, 0}, TCase{bFalse, 1}, TCase{bDefault, 0}}) {
    TOwnedPtr<TdxSmartImage> image(NewImageOf(AnimatedGif(0)));
    image->SetAnimationLoop(item.Loop);
    image->SetActiveFrame(1);
    image->SetActiveFrame(2);
    EXPECT_EQ(image->GetActiveFrame(), item.Expected) << int(item.Loop);
    image->SetActiveFrame(-4);
    EXPECT_EQ(image->GetActiveFrame(), 0);
  }
}

TEST_F(SmartImageAnimationTest, LoopCountIsHonouredUnderDefault)
{
  TOwnedPtr<TdxSmartImage> image(NewImageOf(AnimatedGif(2)));
  image->SetAnimationLoop(bDefault);
  image->SetAnimation(true);
  ASSERT_TRUE(image->GetAnimation());
  // The first pass and two more, then it stays on the last frame.
  EXPECT_EQ(Run(image.get(), 20), (std::vector<int>{0, 1, 0, 1, 0, 1, 1}));
  EXPECT_FALSE(image->GetAnimation());
  EXPECT_EQ(AnimationTestController, nullptr);
  // The count belongs to the object: another run stops at once.
  image->SetActiveFrame(0);
  image->StartAnimation();
  EXPECT_EQ(Run(image.get(), 20), (std::vector<int>{0, 1, 1}));
}

TEST_F(SmartImageAnimationTest, LoopingAnimationRunsUntilStopped)
{
  TOwnedPtr<TdxSmartImage> image(NewImageOf(AnimatedGif(0)));
  image->SetAnimation(true);
  EXPECT_EQ(Run(image.get(), 5), (std::vector<int>{0, 1, 0, 1, 0, 1}));
  EXPECT_TRUE(image->GetAnimation());
  const int starts = AnimationTestTimerStarts;
  image->SetAnimationFrameDelay(500);
  EXPECT_EQ(AnimationTestTimerStarts, starts + 1) << "restarted for the new delay";
  image->SetAnimation(false);
  EXPECT_EQ(AnimationTestController, nullptr);
}

TEST_F(SmartImageAnimationTest, StillImagesDoNotAnimate)
{
  TOwnedPtr<TdxSmartImage> single(NewImageOf(AnimatedGif(0, 10, 1)));
  EXPECT_EQ(single->AnimationFrameCount(), 1);
  single->SetAnimation(true);
  EXPECT_EQ(AnimationTestController, nullptr);

  TOwnedPtr<TdxSmartImage> pixels(NewPatternImage());
  EXPECT_EQ(pixels->AnimationLoopCount(), 0);
  pixels->SetActiveFrame(3);
  EXPECT_EQ(pixels->GetActiveFrame(), 0);
  pixels->SetAnimation(true);
  EXPECT_FALSE(pixels->GetAnimation());

  TOwnedPtr<TdxSmartImage> tiff(NewImageOf(EncodedPattern(TdxGPImageCodecTIFF::Class())));
  EXPECT_FALSE(tiff->CanAnimate());
}

TEST_F(SmartImageAnimationTest, UndecodableImagesRaiseFromTheFirstQuery)
{
  TOwnedPtr<TdxSmartImage> image(NewImageOf(Text("GIF89a but nothing more of it")));
  EXPECT_THROW(image->AnimationFrameCount(), EdxException);
  EXPECT_THROW(image->GetActiveFrame(), EdxException);
}

TEST_F(SmartImageClipboardTest, TimerDrivenAnimationPlaysToItsEnd)
{
  ASSERT_EQ(dxGetSmartImageAnimationControllerClass().ClassType(), TdxImageAnimationController::StaticClass());
  // One loop more than the first pass, 10 ms a frame.
  TOwnedPtr<TdxSmartImage> image(NewImageOf(AnimatedGif(1, 1)));
  image->SetAnimationLoop(bDefault);
  std::vector<int> frames;
  struct TFrameRecorder {
    TdxSmartImage* Image;
    std::vector<int>* Frames;
    void Changed(rtl::TObject*) { Frames->push_back(Image->GetActiveFrame()); }
  } recorder{image.get(), &frames};
  image->SetOnChange(rtl::TNotifyEvent::Bind<&TFrameRecorder::Changed>(&recorder));
  image->SetAnimation(true);
  ASSERT_TRUE(image->GetAnimation());
  // Bounded, so a broken timer fails the test instead of hanging it.
  kvtest::PumpUntil([&] { return !image->GetAnimation(); });
  image->SetOnChange({});
  EXPECT_FALSE(image->GetAnimation());
  EXPECT_EQ(frames, (std::vector<int>{1, 0, 1}));
}

}  // namespace
