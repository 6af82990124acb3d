// The fader: options, the alpha chores, when it is ready, and the frames of a
// cross-fade stepped by hand. Every case runs a fader of its own (or the
// global one, cleared) with the menu-animation setting and the screen depth
// replaced, and calls the fader's timer handler instead of waiting for the
// 10 ms timer: no case depends on time.
#include "graphics/dxFading.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "graphics/cxGraphicsBitmaps.h"
#include "platform/rtl/SysUtils.h"

using enum TcxButtonState;
using enum TdxFaderAnimationState;

namespace {

// ---------------------------------------------------------------------------
// The system as the cases want it

struct TFadingTestSystem {
  bool QueryOk = true;
  UINT MenuAnimation = 1;
  int BitsPerPixel = 32;
};

constinit TFadingTestSystem FadingSystem{};

bool FadingTestGetSystemParameter(UINT AParameter, UINT& AValue)
{
  if (AParameter != SPI_GETMENUANIMATION || !FadingSystem.QueryOk)
    return false;
  AValue = FadingSystem.MenuAnimation;
  return true;
}

int FadingTestGetBitsPerPixel()
{
  return FadingSystem.BitsPerPixel;
}

// ---------------------------------------------------------------------------
// Pictures

RGBQUAD Pixel(BYTE B, BYTE G, BYTE R, BYTE A)
{
  return {B, G, R, A};
}

// "(B,G,R,A)", so that a mismatch reads at a glance.
std::string ToString(const RGBQUAD& P)
{
  return "(" + std::to_string(P.rgbBlue) + "," + std::to_string(P.rgbGreen) + "," + std::to_string(P.rgbRed) + "," +
         std::to_string(P.rgbReserved) + ")";
}

// Rows top-down.
TcxBitmap32* NewPicture(int AWidth, const std::vector<RGBQUAD>& APixels)
{
  const int height = AWidth ? static_cast<int>(APixels.size()) / AWidth : 0;
  TcxBitmap32* result = rtl::NewWith<TcxBitmap32>([&](TcxBitmap32* B) { B->CreateSize(AWidth, height); });
  for (int row = 0; row < height; ++row)
    std::memcpy(result->ScanLine(row), &APixels[static_cast<std::size_t>(row) * AWidth], AWidth * sizeof(RGBQUAD));
  return result;
}

TcxBitmap32* NewSolidPicture(int AWidth, int AHeight, RGBQUAD AColor)
{
  return NewPicture(AWidth, std::vector<RGBQUAD>(static_cast<std::size_t>(AWidth) * AHeight, AColor));
}

std::string FadingPixelAt(vcl::TBitmap* ABitmap, int X, int Y)
{
  return ToString(static_cast<const RGBQUAD*>(ABitmap->ScanLine(Y))[X]);
}

// ---------------------------------------------------------------------------
// Fading elements

// The fader of the running case; elements leave it when freed, as the
// system's elements leave the global one.
constinit TdxFader* FadingTestFader = nullptr;

// Hands out a picture whose channels are all ANormal (normal state) or
// AHot (hot state), and counts what the fader asks of it.
class TFadingTestElement : public TcxIUnknownObject, public IdxFadingObject {
  RTL_CLASS(TFadingTestElement, TcxIUnknownObject)
  RTL_INTERFACES(IdxFadingObject)

 public:
  bool CanFadeNow;
  int RepaintCount;
  int ImageRequests;
  int Width;
  int Height;
  RGBQUAD Normal;
  RGBQUAD Hot;

  void Create()
  {
    inherited::Create();
    CanFadeNow = true;
    Width = 2;
    Height = 2;
    Normal = Pixel(0, 100, 10, 255);
    Hot = Pixel(255, 200, 10, 255);
  }

  void Destroy() override
  {
    if (FadingTestFader)
      FadingTestFader->Remove(this, true);
    inherited::Destroy();
  }

  bool __stdcall FadingCanFade() override { return CanFadeNow; }
  void __stdcall FadingRepaint() override { ++RepaintCount; }
  void __stdcall FadingGetImages(TcxBitmap32*& AFadeOutImage, TcxBitmap32*& AFadeInImage) override
  {
    ++ImageRequests;
    AFadeOutImage = NewSolidPicture(Width, Height, Normal);
    AFadeInImage = NewSolidPicture(Width, Height, Hot);
  }
};

class TFadingTestElementWithOptions : public TFadingTestElement, public IdxFadingObjectFadingOptions {
  RTL_CLASS(TFadingTestElementWithOptions, TFadingTestElement)
  RTL_INTERFACES(IdxFadingObjectFadingOptions)

 public:
  // Zero-filled by the object model: nil until a case sets it.
  TdxFadingOptions* Options;

  TdxFadingOptions* __stdcall FadingGetOptions() override { return Options; }
};

class TFadingTestHelper : public TdxFadingObjectHelper {
  RTL_CLASS(TFadingTestHelper, TdxFadingObjectHelper)

 public:
  int RepaintCount;

  bool __stdcall FadingCanFade() override { return true; }
  void __stdcall FadingRepaint() override { ++RepaintCount; }
  void __stdcall FadingGetImages(TcxBitmap32*& AFadeOutImage, TcxBitmap32*& AFadeInImage) override
  {
    AFadeOutImage = NewSolidPicture(1, 1, Pixel(0, 0, 0, 255));
    AFadeInImage = NewSolidPicture(1, 1, Pixel(255, 255, 255, 255));
  }
};

// The timer's handler and the timer itself, for the cases.
class TFadingTestFader : public TdxFader {
  RTL_CLASS(TFadingTestFader, TdxFader)

 public:
  void Tick() { DoTimer(FTimer); }
  bool TimerEnabled() const { return FTimer->GetEnabled(); }
};

template <class T>
using TOwned = rtl::TOwnedPtr<T>;

class dxFading : public testing::Test {
 protected:
  void SetUp() override
  {
    FadingSystem = {};
    FPrevParameter = dxFadingSetGetSystemParameterFunc(&FadingTestGetSystemParameter);
    FPrevBitsPerPixel = dxFadingSetGetScreenBitsPerPixelFunc(&FadingTestGetBitsPerPixel);
    Fader.reset(rtl::New<TFadingTestFader>());
    FadingTestFader = Fader.get();
  }

  void TearDown() override
  {
    FadingTestFader = nullptr;
    Fader.reset();
    dxGetFader()->Clear();
    dxGetFader()->SetState(fasDefault);
    dxFadingSetGetSystemParameterFunc(FPrevParameter);
    dxFadingSetGetScreenBitsPerPixelFunc(FPrevBitsPerPixel);
  }

  TdxFadingElement* ElementOf(rtl::TObject* AObject)
  {
    TdxFadingElement* element = nullptr;
    Fader->Find(AObject, element);
    return element;
  }

  // The stage after each tick until the fade ends; -1 marks the end.
  std::vector<int> StagesUntilEnd(rtl::TObject* AObject, int AGuard = 200)
  {
    std::vector<int> result;
    while (static_cast<int>(result.size()) < AGuard) {
      Fader->Tick();
      TdxFadingElement* element = ElementOf(AObject);
      result.push_back(element ? element->GetStage() : -1);
      if (!element)
        break;
    }
    return result;
  }

  TOwned<TFadingTestFader> Fader;

 private:
  TdxFadingGetSystemParameterFunc FPrevParameter = nullptr;
  TdxFadingGetScreenBitsPerPixelFunc FPrevBitsPerPixel = nullptr;
};

// ---------------------------------------------------------------------------
// Options

TEST_F(dxFading, OptionsStartAtTheDefaultsAndClampTheirValues)
{
  const TOwned<TdxFadingOptions> options(rtl::New<TdxFadingOptions>());
  EXPECT_EQ(options->GetFadeInFrameCount(), 4);
  EXPECT_EQ(options->GetFadeInFrameDelay(), 15);
  EXPECT_EQ(options->GetFadeOutFrameCount(), 12);
  EXPECT_EQ(options->GetFadeOutFrameDelay(), 20);

  struct TCase {
    int Value, Count, Delay;
  };
  static constexpr TCase cases[] = {{-5, 0, 10}, {0, 0, 10}, {9, 9, 10}, {32, 32, 32}, {33, 32, 33}, {301, 32, 300}};
  for (const TCase& c : cases) {
    options->SetFadeInFrameCount(c.Value);
    options->SetFadeOutFrameCount(c.Value);
    options->SetFadeInFrameDelay(c.Value);
    options->SetFadeOutFrameDelay(c.Value);
    EXPECT_EQ(options->GetFadeInFrameCount(), c.Count) << c.Value;
    EXPECT_EQ(options->GetFadeOutFrameCount(), c.Count) << c.Value;
    EXPECT_EQ(options->GetFadeInFrameDelay(), c.Delay) << c.Value;
    EXPECT_EQ(options->GetFadeOutFrameDelay(), c.Delay) << c.Value;
  }
}

TEST_F(dxFading, OptionsAssignFromOptionsOnlyAndPublishTheirDefaults)
{
  const TOwned<TdxFadingOptions> source(rtl::New<TdxFadingOptions>());
  const TOwned<TdxFadingOptions> dest(rtl::New<TdxFadingOptions>());
  source->SetFadeInFrameCount(1);
  source->SetFadeInFrameDelay(40);
  source->SetFadeOutFrameCount(0);
  source->SetFadeOutFrameDelay(300);
  dest->Assign(source.get());
  EXPECT_EQ(dest->GetFadeInFrameCount(), 1);
  EXPECT_EQ(dest->GetFadeInFrameDelay(), 40);
  EXPECT_EQ(dest->GetFadeOutFrameCount(), 0);
  EXPECT_EQ(dest->GetFadeOutFrameDelay(), 300);

  const TOwned<rtl::TPersistent> stranger(rtl::New<rtl::TPersistent>());
  EXPECT_THROW(dest->Assign(stranger.get()), rtl::EConvertError);

  // Only values that differ from these are stored.
  const struct {
    const wchar_t* Name;
    int Default;
  } published[] = {{L"FadeInFrameCount", 4}, {L"FadeInFrameDelay", 15}, {L"FadeOutFrameCount", 12},
                   {L"FadeOutFrameDelay", 20}};
  for (const auto& p : published) {
    const rtl::TPropInfo* info = rtl::GetPropInfo(TdxFadingOptions::StaticClass(), p.Name);
    ASSERT_NE(info, nullptr) << p.Name;
    EXPECT_EQ(info->Default, p.Default);
  }
}

// ---------------------------------------------------------------------------
// Colour and alpha chores

TEST_F(dxFading, CheckColorKeepsBlackVisibleThroughTheAlphaCorrection)
{
  EXPECT_EQ(TdxFadingHelper::CheckColor(vcl::clBlack), vcl::TColor(RGB(1, 1, 1)));
  EXPECT_EQ(TdxFadingHelper::CheckColor(vcl::clWhite), vcl::clWhite);
  EXPECT_EQ(TdxFadingHelper::CheckColor(vcl::TColor(RGB(1, 2, 3))), vcl::TColor(RGB(1, 2, 3)));
  EXPECT_EQ(TdxFadingHelper::CheckColor(vcl::clBtnFace), vcl::ColorToRGB(vcl::clBtnFace));
}

TEST_F(dxFading, CorrectAlphaChannelMakesDrawnPixelsOpaqueAndLeavesBlackTransparent)
{
  struct TCase {
    RGBQUAD In, Out;
  };
  const TCase cases[] = {
      {Pixel(0, 0, 0, 0), Pixel(0, 0, 0, 0)},
      {Pixel(1, 0, 0, 0), Pixel(1, 0, 0, 255)},
      {Pixel(0, 0, 9, 0), Pixel(0, 0, 9, 255)},
      {Pixel(10, 20, 30, 128), Pixel(10, 20, 30, 128)},
      {Pixel(0, 0, 0, 255), Pixel(0, 0, 0, 255)},
      {Pixel(0, 7, 0, 1), Pixel(0, 7, 0, 1)},
  };
  TRGBColors colors;
  for (const TCase& c : cases)
    colors.push_back(c.In);
  TdxFadingHelper::CorrectAlphaChannel(colors);
  for (std::size_t i = 0; i < colors.size(); ++i)
    EXPECT_EQ(ToString(colors[i]), ToString(cases[i].Out)) << ToString(cases[i].In);

  // The same on a bitmap, whatever the row order.
  const TOwned<TcxBitmap32> bitmap(NewPicture(1, {Pixel(0, 0, 0, 0), Pixel(5, 5, 5, 0)}));
  TdxFadingHelper::CorrectAlphaChannel(bitmap.get());
  EXPECT_EQ(FadingPixelAt(bitmap.get(), 0, 0), ToString(Pixel(0, 0, 0, 0)));
  EXPECT_EQ(FadingPixelAt(bitmap.get(), 0, 1), ToString(Pixel(5, 5, 5, 255)));
  TdxFadingHelper::CorrectAlphaChannel(static_cast<vcl::TBitmap*>(nullptr));
}

// ---------------------------------------------------------------------------
// When the fader works

TEST_F(dxFading, IsReadyFollowsTheStateTheMenuAnimationTheScreenDepthAndTheLimit)
{
  struct TCase {
    const char* What;
    TdxFaderAnimationState State;
    bool QueryOk;
    UINT MenuAnimation;
    int BitsPerPixel;
    int MaxAnimationCount;
    bool Active, Ready;
  };
  static constexpr TCase cases[] = {
      {"system on", fasDefault, true, 1, 32, 10, true, true},
      {"system off", fasDefault, true, 0, 32, 10, false, false},
      {"system query fails", fasDefault, false, 1, 32, 10, false, false},
      {"enabled against the system", fasEnabled, true, 0, 32, 10, true, true},
      {"disabled against the system", fasDisabled, true, 1, 32, 10, false, false},
      {"24 bits", fasEnabled, true, 1, 24, 10, true, true},
      {"17 bits", fasEnabled, true, 1, 17, 10, true, true},
      {"16 bits", fasEnabled, true, 1, 16, 10, true, false},
      {"8 bits", fasEnabled, true, 1, 8, 10, true, false},
      {"no screen", fasEnabled, true, 1, 0, 10, true, false},
      {"no fades allowed", fasEnabled, true, 1, 32, 0, true, false},
      {"one fade allowed", fasEnabled, true, 1, 32, 1, true, true},
  };
  for (const TCase& c : cases) {
    FadingSystem = {c.QueryOk, c.MenuAnimation, c.BitsPerPixel};
    Fader->SetState(c.State);
    Fader->SetMaxAnimationCount(c.MaxAnimationCount);
    EXPECT_EQ(Fader->GetActive(), c.Active) << c.What;
    EXPECT_EQ(Fader->GetIsReady(), c.Ready) << c.What;

    // Not ready: the element is not even asked for its pictures.
    const TOwned<TFadingTestElement> element(rtl::New<TFadingTestElement>());
    Fader->FadeIn(element.get());
    EXPECT_EQ(element->ImageRequests, c.Ready ? 1 : 0) << c.What;
    EXPECT_EQ(Fader->Contains(element.get()), c.Ready) << c.What;
    Fader->Remove(element.get(), true);
  }
}

TEST_F(dxFading, NothingFadesWhenAPreconditionIsMissing)
{
  const TOwned<TFadingTestElement> element(rtl::New<TFadingTestElement>());
  const RGBQUAD color = Pixel(1, 2, 3, 255);
  struct TCase {
    const char* What;
    TcxBitmap32* Image1;
    TcxBitmap32* Image2;
    int FrameCount;
  };
  const TCase cases[] = {
      {"no first image", nullptr, NewSolidPicture(2, 2, color), 4},
      {"no second image", NewSolidPicture(2, 2, color), nullptr, 4},
      {"different widths", NewSolidPicture(2, 2, color), NewSolidPicture(3, 2, color), 4},
      {"different heights", NewSolidPicture(2, 2, color), NewSolidPicture(2, 1, color), 4},
      {"empty images", NewSolidPicture(0, 0, color), NewSolidPicture(0, 0, color), 4},
      {"no frames", NewSolidPicture(2, 2, color), NewSolidPicture(2, 2, color), 0},
  };
  for (const TCase& c : cases) {
    Fader->Fade(element.get(), c.Image1, c.Image2, c.FrameCount, 15);
    EXPECT_FALSE(Fader->Contains(element.get())) << c.What;
    EXPECT_EQ(element->RepaintCount, 0) << c.What;
  }

  // An element that hands out one bitmap as both pictures: it is freed once
  // (freeing it twice used to bring the program down) and nothing fades.
  TcxBitmap32* both = NewSolidPicture(2, 2, color);
  Fader->Fade(element.get(), both, both, 4, 15);
  EXPECT_FALSE(Fader->Contains(element.get()));

  element->CanFadeNow = false;
  Fader->FadeIn(element.get());
  EXPECT_EQ(element->ImageRequests, 0);
  EXPECT_FALSE(Fader->Contains(element.get()));

  // An object that knows nothing of fading.
  const TOwned<rtl::TObject> stranger(rtl::New<rtl::TObject>());
  Fader->FadeIn(stranger.get());
  Fader->Fade(stranger.get(), NewSolidPicture(1, 1, color), NewSolidPicture(1, 1, color), 4, 15);
  EXPECT_FALSE(Fader->Contains(stranger.get()));
  EXPECT_FALSE(Fader->TimerEnabled());
}

// ---------------------------------------------------------------------------
// The frame schedule, stepped by hand

TEST_F(dxFading, FadeInWithTheDefaultsShowsFiveFramesOneTickApart)
{
  FadingSystem.MenuAnimation = 1;
  const TOwned<TFadingTestElement> element(rtl::New<TFadingTestElement>());
  EXPECT_FALSE(Fader->TimerEnabled());
  Fader->FadeIn(element.get());
  TdxFadingElement* fading = ElementOf(element.get());
  ASSERT_NE(fading, nullptr);
  EXPECT_EQ(fading->GetAnimationFrameCount(), 4);
  EXPECT_EQ(fading->GetAnimationFrameDelay(), 15);
  EXPECT_EQ(fading->GetStage(), 0);
  EXPECT_EQ(element->RepaintCount, 1);
  EXPECT_TRUE(Fader->TimerEnabled());

  // Channel by channel: 0 -> 255, 100 -> 200, 10 -> 10, 255 -> 255; the
  // weight of the end is MulDiv (stage, 255, 4) / 255 = 0, 64, 128, 191,
  // 255 out of 255.
  const RGBQUAD expected[] = {Pixel(0, 100, 10, 255), Pixel(64, 125, 10, 255), Pixel(128, 150, 10, 255),
                              Pixel(191, 175, 10, 255), Pixel(255, 200, 10, 255)};
  EXPECT_EQ(FadingPixelAt(fading->GetWorkImage(), 1, 1), ToString(expected[0]));
  for (int stage = 1; stage <= 4; ++stage) {
    Fader->Tick();
    ASSERT_EQ(fading->GetStage(), stage);
    EXPECT_EQ(element->RepaintCount, 1 + stage);
    EXPECT_EQ(FadingPixelAt(fading->GetWorkImage(), 0, 0), ToString(expected[stage])) << "stage " << stage;
  }
  // One tick after the last frame the fade ends, with a repaint in the
  // element's own state, and the timer stops.
  Fader->Tick();
  EXPECT_FALSE(Fader->Contains(element.get()));
  EXPECT_EQ(element->RepaintCount, 6);
  EXPECT_FALSE(Fader->TimerEnabled());
}

TEST_F(dxFading, FrameDelaysTurnIntoTicksPerFrame)
{
  struct TCase {
    const char* What;
    int FrameCount, FrameDelay;
    std::vector<int> Stages;
  };
  const TCase cases[] = {
      {"defaults of fade-out: 13 frames 2 ticks apart", 12, 20,
       {0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, -1}},
      {"25 ms: every 2 ticks", 2, 25, {0, 1, 1, 2, 2, -1}},
      {"5 ms: every tick", 3, 5, {1, 2, 3, -1}},
      {"1 ms: every tick", 1, 1, {1, -1}},
      {"30 ms: every 3 ticks", 1, 30, {0, 0, 1, 1, 1, -1}},
      {"more than 32 frames give 32", 40, 10, {}},
  };
  for (const TCase& c : cases) {
    const TOwned<TFadingTestElement> element(rtl::New<TFadingTestElement>());
    Fader->Fade(element.get(), NewSolidPicture(1, 1, element->Normal), NewSolidPicture(1, 1, element->Hot),
                c.FrameCount, c.FrameDelay);
    ASSERT_TRUE(Fader->Contains(element.get())) << c.What;
    if (c.Stages.empty()) {
      EXPECT_EQ(ElementOf(element.get())->GetAnimationFrameCount(), 32) << c.What;
      Fader->Remove(element.get(), true);
      continue;
    }
    EXPECT_EQ(StagesUntilEnd(element.get()), c.Stages) << c.What;
  }
  // A delay beyond 300 ms counts as 300: 30 ticks a frame.
  const TOwned<TFadingTestElement> slow(rtl::New<TFadingTestElement>());
  Fader->Fade(slow.get(), NewSolidPicture(1, 1, slow->Normal), NewSolidPicture(1, 1, slow->Hot), 1, 1000);
  EXPECT_EQ(ElementOf(slow.get())->GetAnimationFrameDelay(), 300);
  EXPECT_EQ(StagesUntilEnd(slow.get()).size(), 60u);
}

TEST_F(dxFading, FramesKeepTheRowsInPlaceAndCorrectTheAlphaOfThePictures)
{
  const TOwned<TFadingTestElement> element(rtl::New<TFadingTestElement>());
  // Top row red, bottom row blue, as GDI leaves them: alpha 0. The black
  // pixel stays transparent.
  Fader->Fade(element.get(), NewPicture(2, {Pixel(0, 0, 200, 0), Pixel(0, 0, 0, 0), Pixel(200, 0, 0, 0),
                                            Pixel(200, 0, 0, 0)}),
              NewPicture(2, {Pixel(0, 0, 100, 0), Pixel(0, 0, 0, 0), Pixel(100, 0, 0, 0), Pixel(100, 0, 0, 0)}), 1,
              10);
  TdxFadingElement* fading = ElementOf(element.get());
  ASSERT_NE(fading, nullptr);
  EXPECT_EQ(FadingPixelAt(fading->GetWorkImage(), 0, 0), ToString(Pixel(0, 0, 200, 255)));
  EXPECT_EQ(FadingPixelAt(fading->GetWorkImage(), 1, 0), ToString(Pixel(0, 0, 0, 0)));
  EXPECT_EQ(FadingPixelAt(fading->GetWorkImage(), 0, 1), ToString(Pixel(200, 0, 0, 255)));
  Fader->Tick();
  EXPECT_EQ(FadingPixelAt(fading->GetWorkImage(), 0, 0), ToString(Pixel(0, 0, 100, 255)));
  EXPECT_EQ(FadingPixelAt(fading->GetWorkImage(), 1, 1), ToString(Pixel(100, 0, 0, 255)));
}

TEST_F(dxFading, FadingOutDuringAFadeInStartsFromTheFrameOnScreen)
{
  const TOwned<TFadingTestElement> element(rtl::New<TFadingTestElement>());
  element->Normal = Pixel(0, 0, 0, 255);
  element->Hot = Pixel(255, 255, 255, 255);
  Fader->FadeIn(element.get());
  Fader->Tick();
  Fader->Tick();
  TdxFadingElement* fading = ElementOf(element.get());
  ASSERT_EQ(fading->GetStage(), 2);
  ASSERT_EQ(FadingPixelAt(fading->GetWorkImage(), 0, 0), ToString(Pixel(128, 128, 128, 255)));

  Fader->FadeOut(element.get());
  // The same element, now with the fade-out's frames and delay, from stage 0
  // at the half-faded picture towards the normal one.
  EXPECT_EQ(ElementOf(element.get()), fading);
  EXPECT_EQ(fading->GetStage(), 0);
  EXPECT_EQ(fading->GetAnimationFrameCount(), 12);
  EXPECT_EQ(fading->GetAnimationFrameDelay(), 20);
  EXPECT_EQ(FadingPixelAt(fading->GetWorkImage(), 0, 0), ToString(Pixel(128, 128, 128, 255)));
  const std::vector<int> stages = StagesUntilEnd(element.get());
  EXPECT_EQ(stages.size(), 26u);
}

TEST_F(dxFading, APictureOfAnotherSizeKeepsTheRunningSchedule)
{
  const TOwned<TFadingTestElement> element(rtl::New<TFadingTestElement>());
  Fader->FadeIn(element.get());
  Fader->Tick();
  TdxFadingElement* fading = ElementOf(element.get());
  element->Width = 3;
  Fader->FadeOut(element.get());
  EXPECT_EQ(fading->GetStage(), 1);
  EXPECT_EQ(fading->GetAnimationFrameCount(), 4);
  EXPECT_EQ(fading->GetWorkImage()->GetWidth(), 3);
}

TEST_F(dxFading, ElementOptionsReplaceTheDefaults)
{
  const TOwned<TFadingTestElementWithOptions> element(rtl::New<TFadingTestElementWithOptions>());
  const TOwned<TdxFadingOptions> options(rtl::New<TdxFadingOptions>());
  element->Options = options.get();
  options->SetFadeInFrameCount(2);
  options->SetFadeInFrameDelay(10);
  Fader->FadeIn(element.get());
  EXPECT_EQ(StagesUntilEnd(element.get()), (std::vector<int>{1, 2, -1}));

  // A frame count of 0 switches the direction off.
  options->SetFadeOutFrameCount(0);
  Fader->FadeOut(element.get());
  EXPECT_FALSE(Fader->Contains(element.get()));

  // Nil options: the defaults.
  element->Options = nullptr;
  Fader->FadeOut(element.get());
  EXPECT_EQ(ElementOf(element.get())->GetAnimationFrameCount(), 12);
}

// ---------------------------------------------------------------------------
// Stopping, the queue and the timer

TEST_F(dxFading, RemovingRepaintsUnlessTheObjectIsBeingDestroyed)
{
  const TOwned<TFadingTestElement> element(rtl::New<TFadingTestElement>());
  Fader->FadeIn(element.get());
  Fader->Remove(element.get(), false);
  EXPECT_FALSE(Fader->Contains(element.get()));
  EXPECT_EQ(element->RepaintCount, 2);
  EXPECT_FALSE(Fader->TimerEnabled());

  Fader->FadeIn(element.get());
  Fader->Remove(element.get(), true);
  EXPECT_FALSE(Fader->Contains(element.get()));
  EXPECT_EQ(element->RepaintCount, 3);
  EXPECT_FALSE(Fader->TimerEnabled());

  const TOwned<TFadingTestElement> other(rtl::New<TFadingTestElement>());
  Fader->FadeIn(element.get());
  Fader->FadeIn(other.get());
  Fader->Clear();
  EXPECT_FALSE(Fader->Contains(element.get()));
  EXPECT_FALSE(Fader->Contains(other.get()));
  EXPECT_EQ(element->RepaintCount, 4);
  EXPECT_EQ(other->RepaintCount, 1);
  EXPECT_FALSE(Fader->TimerEnabled());
  // Nothing there: nothing happens.
  Fader->Remove(element.get(), false);
  EXPECT_EQ(element->RepaintCount, 4);
}

TEST_F(dxFading, TheQueueLimitFinishesTheOldestFadesFirst)
{
  std::vector<TOwned<TFadingTestElement>> elements;
  for (int i = 0; i < 11; ++i) {
    elements.emplace_back(rtl::New<TFadingTestElement>());
    Fader->FadeIn(elements.back().get());
  }
  // The eleventh pushed the first out, which repainted in its own state.
  EXPECT_FALSE(Fader->Contains(elements[0].get()));
  EXPECT_EQ(elements[0]->RepaintCount, 2);
  for (int i = 1; i < 11; ++i)
    EXPECT_TRUE(Fader->Contains(elements[i].get())) << i;

  // A smaller limit keeps the newest.
  struct TCase {
    int Value, Limit, FirstRunning;
  };
  static constexpr TCase cases[] = {{25, 20, 1}, {3, 3, 8}, {3, 3, 8}, {-1, 0, 11}};
  for (const TCase& c : cases) {
    Fader->SetMaxAnimationCount(c.Value);
    EXPECT_EQ(Fader->GetMaxAnimationCount(), c.Limit) << c.Value;
    for (int i = 0; i < 11; ++i)
      EXPECT_EQ(Fader->Contains(elements[i].get()), i >= c.FirstRunning) << c.Value << " element " << i;
    EXPECT_EQ(Fader->TimerEnabled(), c.FirstRunning < 11) << c.Value;
  }
}

TEST_F(dxFading, ATickEndsSomeFadesWhileOthersGoOn)
{
  const TOwned<TFadingTestElement> quick(rtl::New<TFadingTestElement>());
  const TOwned<TFadingTestElement> slow(rtl::New<TFadingTestElement>());
  Fader->Fade(quick.get(), NewSolidPicture(1, 1, quick->Normal), NewSolidPicture(1, 1, quick->Hot), 1, 10);
  Fader->Fade(slow.get(), NewSolidPicture(1, 1, slow->Normal), NewSolidPicture(1, 1, slow->Hot), 3, 10);
  Fader->Tick();
  Fader->Tick();
  EXPECT_FALSE(Fader->Contains(quick.get()));
  ASSERT_TRUE(Fader->Contains(slow.get()));
  EXPECT_EQ(ElementOf(slow.get())->GetStage(), 2);
  EXPECT_TRUE(Fader->TimerEnabled());
}

// ---------------------------------------------------------------------------
// Drawing a frame

TEST_F(dxFading, DrawFadeImageStretchesTheFrameWithItsAlpha)
{
  const TOwned<TFadingTestElement> element(rtl::New<TFadingTestElement>());
  const TOwned<TcxBitmap32> target(NewSolidPicture(4, 4, Pixel(0, 200, 0, 255)));
  const HDC dc = target->GetCanvas()->GetHandle();
  EXPECT_FALSE(Fader->DrawFadeImage(element.get(), dc, {0, 0, 4, 4}));

  // Left column opaque red, right column transparent.
  Fader->Fade(element.get(), NewPicture(2, {Pixel(0, 0, 255, 255), Pixel(0, 0, 0, 0)}),
              NewPicture(2, {Pixel(0, 0, 255, 255), Pixel(0, 0, 0, 0)}), 1, 10);
  ASSERT_TRUE(Fader->DrawFadeImage(element.get(), dc, {0, 0, 4, 4}));
  // Colours only: what AlphaBlend leaves in the target's alpha is its own
  // business.
  const auto rgb = [&](int X, int Y) { return FadingPixelAt(target.get(), X, Y).substr(0, 9); };
  for (int y = 0; y < 4; ++y) {
    EXPECT_EQ(rgb(0, y), "(0,0,255,") << y;
    EXPECT_EQ(rgb(3, y), "(0,200,0,") << y;
  }
}

// ---------------------------------------------------------------------------
// Sub-element helpers on the global fader

TEST_F(dxFading, CheckStartFadingFadesOnlyIntoAndOutOfTheHotState)
{
  ASSERT_NE(dxGetFader(), nullptr);
  struct TCase {
    const char* What;
    bool Running;
    TcxButtonState Prev, State;
    bool RunningAfter;
    int FrameCount;
    int Repaints;
  };
  static constexpr TCase cases[] = {
      {"normal to hot fades in", false, cxbsNormal, cxbsHot, true, 4, 1},
      {"default to hot fades in", false, cxbsDefault, cxbsHot, true, 4, 1},
      {"hot to normal fades out", false, cxbsHot, cxbsNormal, true, 12, 1},
      {"hot to default fades out", true, cxbsHot, cxbsDefault, true, 12, 1},
      {"hot to pressed stops and repaints", true, cxbsHot, cxbsPressed, false, 0, 1},
      {"pressed to hot does not fade", false, cxbsPressed, cxbsHot, false, 0, 0},
      {"normal to disabled stops", true, cxbsNormal, cxbsDisabled, false, 0, 1},
      {"normal to normal does nothing", true, cxbsNormal, cxbsNormal, true, 4, 0},
      {"hot to hot does nothing", false, cxbsHot, cxbsHot, false, 0, 0},
  };
  for (const TCase& c : cases) {
    const TOwned<TFadingTestHelper> helper(rtl::New<TFadingTestHelper>());
    if (c.Running)
      helper->FadeIn();
    ASSERT_EQ(helper->GetActive(), c.Running) << c.What;
    helper->RepaintCount = 0;
    helper->CheckStartFading(c.Prev, c.State);
    EXPECT_EQ(helper->GetActive(), c.RunningAfter) << c.What;
    EXPECT_EQ(helper->RepaintCount, c.Repaints) << c.What;
    TdxFadingElement* element = nullptr;
    if (dxGetFader()->Find(helper.get(), element)) {
      EXPECT_EQ(element->GetAnimationFrameCount(), c.FrameCount) << c.What;
    }
  }
}

TEST_F(dxFading, AHelperDrawsItsFrameAndDropsItsFadeWhenFreed)
{
  TFadingTestHelper* helper = rtl::New<TFadingTestHelper>();
  const TOwned<TcxBitmap32> target(NewSolidPicture(2, 2, Pixel(0, 0, 0, 255)));
  const HDC dc = target->GetCanvas()->GetHandle();
  EXPECT_FALSE(helper->DrawImage(dc, {0, 0, 2, 2}));
  helper->FadeIn();
  EXPECT_TRUE(helper->DrawImage(dc, {0, 0, 2, 2}));
  helper->StopFading();
  EXPECT_FALSE(helper->GetActive());
  EXPECT_FALSE(helper->DrawImage(dc, {0, 0, 2, 2}));

  helper->FadeOut();
  ASSERT_TRUE(helper->GetActive());
  const rtl::TObject* address = helper;
  rtl::Free(helper);
  TdxFadingElement* element = nullptr;
  EXPECT_FALSE(dxGetFader()->Find(const_cast<rtl::TObject*>(address), element));

  // The base helper never fades.
  const TOwned<TdxFadingObjectHelper> plain(rtl::New<TdxFadingObjectHelper>());
  plain->FadeIn();
  EXPECT_FALSE(plain->GetActive());
}

}  // namespace
