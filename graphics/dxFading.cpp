#include "graphics/dxFading.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxGDIPlusAPI.h"
#include "platform/vcl/GraphicsHandles.h"

using enum TcxButtonState;
using enum TdxFaderAnimationState;
using enum TdxFadingState;
using enum vcl::TAlphaFormat;
using enum vcl::TPixelFormat;

namespace {

// Created by the unit's start-up, freed by its shut-down.
constinit TdxFader* Fader = nullptr;

bool SystemGetSystemParameter(UINT AParameter, UINT& AValue)
{
  return SystemParametersInfoW(AParameter, 0, &AValue, 0) != FALSE;
}

int SystemGetScreenBitsPerPixel()
{
  TcxScreenCanvas* canvas = cxScreenCanvas();
  return canvas ? GetDeviceCaps(canvas->GetHandle(), BITSPIXEL) : 0;
}

constinit TdxFadingGetSystemParameterFunc GetSystemParameterFunc = &SystemGetSystemParameter;
constinit TdxFadingGetScreenBitsPerPixelFunc GetScreenBitsPerPixelFunc = &SystemGetScreenBitsPerPixel;

void dxFadingInitialization()
{
  Fader = rtl::New<TdxFader>();
}

void dxFadingFinalization()
{
  rtl::FreeAndNil(Fader);
}

}  // namespace

RTL_UNIT(dxFading, &dxFadingInitialization, &dxFadingFinalization);

TdxFadingGetSystemParameterFunc dxFadingSetGetSystemParameterFunc(TdxFadingGetSystemParameterFunc AFunc)
{
  return std::exchange(GetSystemParameterFunc, AFunc ? AFunc : &SystemGetSystemParameter);
}

TdxFadingGetScreenBitsPerPixelFunc dxFadingSetGetScreenBitsPerPixelFunc(TdxFadingGetScreenBitsPerPixelFunc AFunc)
{
  return std::exchange(GetScreenBitsPerPixelFunc, AFunc ? AFunc : &SystemGetScreenBitsPerPixel);
}

TdxFader* dxGetFader()
{
  return Fader;
}

// ---------------------------------------------------------------------------
// Pixels of 32-bit bitmaps, top-down

namespace {

constexpr int MaxFrameCount = 32;
constexpr int MaxFrameDelay = 300;
constexpr unsigned TimerInterval = 10;

TSize BitmapSize(vcl::TBitmap* ABitmap)
{
  return {ABitmap->GetWidth(), ABitmap->GetHeight()};
}

bool SameSize(const TSize& A, const TSize& B)
{
  return A.cx == B.cx && A.cy == B.cy;
}

void ReadColors(vcl::TBitmap* ABitmap, TRGBColors& AColors)
{
  const TSize size = BitmapSize(ABitmap);
  AColors.assign(static_cast<std::size_t>(size.cx) * size.cy, RGBQUAD{});
  if (ABitmap->GetEmpty() || ABitmap->GetPixelFormat() != pf32bit)
    return;
  for (int row = 0; row < size.cy; ++row)
    std::memcpy(&AColors[static_cast<std::size_t>(row) * size.cx], ABitmap->ScanLine(row), size.cx * sizeof(RGBQUAD));
}

void WriteColors(vcl::TBitmap* ABitmap, const TRGBColors& AColors)
{
  const TSize size = BitmapSize(ABitmap);
  if (ABitmap->GetEmpty() || ABitmap->GetPixelFormat() != pf32bit ||
      AColors.size() < static_cast<std::size_t>(size.cx) * size.cy)
    return;
  for (int row = 0; row < size.cy; ++row)
    std::memcpy(ABitmap->ScanLine(row), &AColors[static_cast<std::size_t>(row) * size.cx], size.cx * sizeof(RGBQUAD));
}

// A bitmap of straight-alpha pixels, so that its own Draw blends them.
TcxBitmap32* NewBitmapFromColors(const TSize& ASize, const TRGBColors& AColors)
{
  rtl::TOwnedPtr<TcxBitmap32> bitmap(
      rtl::NewWith<TcxBitmap32>([&](TcxBitmap32* B) { B->CreateSize(ASize.cx, ASize.cy); }));
  bitmap->SetAlphaFormat(afDefined);
  WriteColors(bitmap.get(), AColors);
  return bitmap.release();
}

// Stretches a straight-alpha picture onto DC at full opacity. The drawing
// routines of the graphics unit are not there yet, so the fader blends by
// itself: AlphaBlend wants premultiplied pixels.
void DrawStraightAlphaStretched(HDC DC, const TRect& R, TcxBitmap32* AImage)
{
  const TSize size = BitmapSize(AImage);
  TRGBColors colors;
  ReadColors(AImage, colors);
  BITMAPINFO info{};
  dxInitBitmapInfoHeader32(info.bmiHeader, size.cx, size.cy, true);
  void* bits = nullptr;
  const vcl::TOwnedBitmap premultiplied(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!premultiplied || !bits)
    return;
  auto* pixel = static_cast<RGBQUAD*>(bits);
  for (const RGBQUAD& color : colors) {
    *pixel++ = {static_cast<BYTE>(color.rgbBlue * color.rgbReserved / 255),
                static_cast<BYTE>(color.rgbGreen * color.rgbReserved / 255),
                static_cast<BYTE>(color.rgbRed * color.rgbReserved / 255), color.rgbReserved};
  }
  const vcl::TOwnedDC sourceDC(CreateCompatibleDC(DC));
  const vcl::TSelectObjectGuard selected(sourceDC.Get(), premultiplied.Get());
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  GdiAlphaBlend(DC, R.left, R.top, R.right - R.left, R.bottom - R.top, sourceDC.Get(), 0, 0, size.cx, size.cy,
                blend);
}

}  // namespace

// ---------------------------------------------------------------------------
// TdxFadingHelper

vcl::TColor TdxFadingHelper::CheckColor(vcl::TColor AColor)
{
  const vcl::TColor result = vcl::ColorToRGB(AColor);
  return result == 0 ? vcl::TColor(RGB(1, 1, 1)) : result;
}

void TdxFadingHelper::CorrectAlphaChannel(TRGBColors& AColors)
{
  for (RGBQUAD& color : AColors) {
    if (color.rgbReserved == 0 && (color.rgbBlue != 0 || color.rgbGreen != 0 || color.rgbRed != 0))
      color.rgbReserved = 255;
  }
}

void TdxFadingHelper::CorrectAlphaChannel(vcl::TBitmap* ABitmap)
{
  if (!ABitmap || ABitmap->GetEmpty() || ABitmap->GetPixelFormat() != pf32bit)
    return;
  TRGBColors colors;
  ReadColors(ABitmap, colors);
  CorrectAlphaChannel(colors);
  WriteColors(ABitmap, colors);
}

// ---------------------------------------------------------------------------
// TdxFadingOptions

void TdxFadingOptions::Create()
{
  inherited::Create();
  FFadeInFrameCount = dxFadeInDefaultAnimationFrameCount;
  FFadeInFrameDelay = dxFadeInDefaultAnimationFrameDelay;
  FFadeOutFrameCount = dxFadeOutDefaultAnimationFrameCount;
  FFadeOutFrameDelay = dxFadeOutDefaultAnimationFrameDelay;
}

void TdxFadingOptions::Assign(rtl::TPersistent* ASource)
{
  if (!rtl::Is<TdxFadingOptions>(ASource)) {
    inherited::Assign(ASource);
    return;
  }
  const auto* source = static_cast<TdxFadingOptions*>(ASource);
  SetFadeInFrameCount(source->GetFadeInFrameCount());
  SetFadeInFrameDelay(source->GetFadeInFrameDelay());
  SetFadeOutFrameCount(source->GetFadeOutFrameCount());
  SetFadeOutFrameDelay(source->GetFadeOutFrameDelay());
}

void TdxFadingOptions::SetFadeInFrameCount(int AValue)
{
  FFadeInFrameCount = std::clamp(AValue, 0, MaxFrameCount);
}

void TdxFadingOptions::SetFadeInFrameDelay(int AValue)
{
  FFadeInFrameDelay = std::clamp(AValue, 10, MaxFrameDelay);
}

void TdxFadingOptions::SetFadeOutFrameCount(int AValue)
{
  FFadeOutFrameCount = std::clamp(AValue, 0, MaxFrameCount);
}

void TdxFadingOptions::SetFadeOutFrameDelay(int AValue)
{
  FFadeOutFrameDelay = std::clamp(AValue, 10, MaxFrameDelay);
}

// ---------------------------------------------------------------------------
// TdxFadingElement

void TdxFadingElement::Create(TdxFader* AOwner, rtl::TObject* AElement)
{
  inherited::Create();
  FOwner = AOwner;
  FElement = AElement;
  rtl::Supports<IdxFadingObject>(AElement, &FFadingObject);
  FImageSize = {0, 0};
  FWorkImage = nullptr;
  SetAnimationParameters(1, 1);
}

void TdxFadingElement::Destroy()
{
  if (FOwner && FOwner->FList && FOwner->FList->Remove(this) >= 0)
    FOwner->ValidateQueue();
  FFadingObject.Reset();
  rtl::FreeAndNil(FWorkImage);
  FImage1Colors.clear();
  FImage2Colors.clear();
  inherited::Destroy();
}

void TdxFadingElement::SetAnimationParameters(int AFrameCount, int AFrameDelay)
{
  FAnimationFrameCount = std::max(1, std::min(AFrameCount, MaxFrameCount));
  FAnimationFrameDelay = std::max(1, std::min(AFrameDelay, MaxFrameDelay));
  FDelayCount = std::max(FAnimationFrameDelay / static_cast<int>(TimerInterval), 1);
  FDelayIndex = 0;
  FStage = 0;
}

void TdxFadingElement::LoadImages(TcxBitmap32* AImage1, TcxBitmap32* AImage2)
{
  ReadColors(AImage1, FImage1Colors);
  TdxFadingHelper::CorrectAlphaChannel(FImage1Colors);
  ReadColors(AImage2, FImage2Colors);
  TdxFadingHelper::CorrectAlphaChannel(FImage2Colors);
  FImageSize = BitmapSize(AImage1);
}

void TdxFadingElement::CalculateWorkImage()
{
  // Single precision and rounding half to even, as the frames have always
  // been computed: the steps of a fade look the same as before.
  const int a = MulDiv(FStage, 255, FAnimationFrameCount);
  const float b = static_cast<float>(a) / 255.0f;
  const float c = 1.0f - b;
  const auto blend = [&](BYTE AStart, BYTE AEnd) {
    const float value = std::min(c * static_cast<float>(AStart) + b * static_cast<float>(AEnd), 255.0f);
    return static_cast<BYTE>(rtl::Round(value));
  };
  const std::size_t count = std::min(FImage1Colors.size(), FImage2Colors.size());
  TRGBColors frame(count);
  for (std::size_t i = 0; i < count; ++i) {
    const RGBQUAD& start = FImage1Colors[i];
    const RGBQUAD& end = FImage2Colors[i];
    frame[i] = {blend(start.rgbBlue, end.rgbBlue), blend(start.rgbGreen, end.rgbGreen),
                blend(start.rgbRed, end.rgbRed), blend(start.rgbReserved, end.rgbReserved)};
  }
  SetWorkImage(NewBitmapFromColors(FImageSize, frame));
}

void TdxFadingElement::SetWorkImage(TcxBitmap32* AValue)
{
  // The old frame goes only after the element has been told: it may still
  // be painting it.
  const rtl::TOwnedPtr<TcxBitmap32> previous(std::exchange(FWorkImage, AValue));
  if (FFadingObject)
    FFadingObject->FadingRepaint();
}

TcxBitmap32* TdxFadingElement::GetWorkImageAsBitmap() const
{
  if (!FWorkImage)
    return nullptr;
  TRGBColors colors;
  ReadColors(FWorkImage, colors);
  return NewBitmapFromColors(BitmapSize(FWorkImage), colors);
}

void TdxFadingElement::Finalize()
{
  SetWorkImage(nullptr);
  Free();
}

void TdxFadingElement::Tick()
{
  FDelayIndex = (FDelayIndex + 1) % FDelayCount;
  if (FDelayIndex != 0)
    return;
  if (FStage < FAnimationFrameCount) {
    ++FStage;
    CalculateWorkImage();
  } else {
    Finalize();
  }
}

// ---------------------------------------------------------------------------
// TdxFadingList

void TdxFadingList::Clear()
{
  // Each element takes itself out of the list as it goes.
  for (int i = GetCount() - 1; i >= 0; i = std::min(i - 1, GetCount() - 1)) {
    TdxFadingElement* element = GetItem(i);
    rtl::Free(element);
  }
  inherited::Clear();
}

// ---------------------------------------------------------------------------
// TdxFader

void TdxFader::Create()
{
  inherited::Create();
  FList = rtl::New<TdxFadingList>();
  FMaxAnimationCount = 10;
  FState = fasDefault;
  FTimer = cxNewTimer(TimerInterval, false, rtl::TNotifyEvent::Bind<&TdxFader::DoTimer>(this));
}

void TdxFader::Destroy()
{
  if (FList)
    FList->Clear();
  rtl::FreeAndNil(FTimer);
  rtl::FreeAndNil(FList);
  inherited::Destroy();
}

bool TdxFader::GetActive()
{
  switch (FState) {
    case fasEnabled:
      return true;
    case fasDisabled:
      return false;
    default: {
      UINT value = 0;
      return GetSystemParameterFunc(SPI_GETMENUANIMATION, value) && value != 0;
    }
  }
}

bool TdxFader::GetIsReady()
{
  return GetActive() && FMaxAnimationCount > 0 && dxGpIsAvailable() && GetScreenBitsPerPixelFunc() > 16;
}

void TdxFader::SetMaxAnimationCount(int AValue)
{
  AValue = std::clamp(AValue, 0, 20);
  if (AValue == FMaxAnimationCount)
    return;
  FMaxAnimationCount = AValue;
  ValidateQueue();
}

bool TdxFader::CanFade(rtl::TObject* AObject)
{
  rtl::IPtr<IdxFadingObject> fadingObject;
  return CanFade(AObject, fadingObject);
}

bool TdxFader::CanFade(rtl::TObject* AObject, rtl::IPtr<IdxFadingObject>& AFadingObject)
{
  AFadingObject.Reset();
  return GetIsReady() && rtl::Supports<IdxFadingObject>(AObject, &AFadingObject) && AFadingObject &&
         AFadingObject->FadingCanFade();
}

bool TdxFader::Contains(rtl::TObject* AObject)
{
  TdxFadingElement* element;
  return Find(AObject, element);
}

bool TdxFader::Find(rtl::TObject* AObject, TdxFadingElement*& AFadingElement)
{
  for (int i = 0; i < FList->GetCount(); ++i) {
    AFadingElement = FList->GetItem(i);
    if (AFadingElement->GetElement() == AObject)
      return true;
  }
  AFadingElement = nullptr;
  return false;
}

bool TdxFader::DrawFadeImage(rtl::TObject* AObject, HDC DC, const TRect& R)
{
  TdxFadingElement* element;
  if (!Find(AObject, element) || !element->GetWorkImage())
    return false;
  DrawStraightAlphaStretched(DC, R, element->GetWorkImage());
  return true;
}

void TdxFader::FadeIn(rtl::TObject* AObject)
{
  Fade(AObject, fsFadeIn);
}

void TdxFader::FadeOut(rtl::TObject* AObject)
{
  Fade(AObject, fsFadeOut);
}

void TdxFader::Fade(rtl::TObject* AObject, TdxFadingState AState)
{
  rtl::IPtr<IdxFadingObject> fadingObject;
  if (!CanFade(AObject, fadingObject))
    return;
  TcxBitmap32* fadeOutImage = nullptr;
  TcxBitmap32* fadeInImage = nullptr;
  fadingObject->FadingGetImages(fadeOutImage, fadeInImage);
  // Owned from here on, whatever the options do.
  rtl::TOwnedPtr<TcxBitmap32> fadeOut(fadeOutImage);
  rtl::TOwnedPtr<TcxBitmap32> fadeIn(fadeInImage);

  const rtl::TOwnedPtr<TdxFadingOptions> options(rtl::New<TdxFadingOptions>());
  rtl::IPtr<IdxFadingObjectFadingOptions> optionsSource;
  if (rtl::Supports<IdxFadingObjectFadingOptions>(AObject, &optionsSource) && optionsSource) {
    if (TdxFadingOptions* objectOptions = optionsSource->FadingGetOptions())
      options->Assign(objectOptions);
  }
  if (AState == fsFadeIn)
    Fade(AObject, fadeOut.release(), fadeIn.release(), options->GetFadeInFrameCount(), options->GetFadeInFrameDelay());
  else
    Fade(AObject, fadeIn.release(), fadeOut.release(), options->GetFadeOutFrameCount(),
         options->GetFadeOutFrameDelay());
}

void TdxFader::Fade(rtl::TObject* AObject, TcxBitmap32* AImage1, TcxBitmap32* AImage2, int AAnimationFrameCount,
                    int AAnimationFrameDelay)
{
  rtl::TOwnedPtr<TcxBitmap32> image1(AImage1);
  // One bitmap handed in twice is freed once, and there is nothing to blend.
  const rtl::TOwnedPtr<TcxBitmap32> image2(AImage2 != AImage1 ? AImage2 : nullptr);
  if (!CanFade(AObject) || !image1 || !image2 || !SameSize(BitmapSize(image1.get()), BitmapSize(image2.get())) ||
      image1->GetEmpty() || AAnimationFrameCount <= 0)
    return;

  TdxFadingElement* element;
  if (Find(AObject, element)) {
    // A fade reversed halfway starts from what is on screen now.
    if (SameSize(BitmapSize(image1.get()), element->FImageSize)) {
      if (TcxBitmap32* current = element->GetWorkImageAsBitmap())
        image1.reset(current);
      element->SetAnimationParameters(AAnimationFrameCount, AAnimationFrameDelay);
    }
  } else {
    element = rtl::New<TdxFadingElement>(this, AObject);
    element->SetAnimationParameters(AAnimationFrameCount, AAnimationFrameDelay);
    FList->Add(element);
    ValidateQueue();
  }
  element->LoadImages(image1.get(), image2.get());
  element->CalculateWorkImage();
}

void TdxFader::Remove(rtl::TObject* AObject, bool ADestroying)
{
  TdxFadingElement* element;
  if (!Find(AObject, element))
    return;
  if (ADestroying)
    rtl::Free(element);
  else
    element->Finalize();
}

void TdxFader::Clear()
{
  FList->Clear();
}

void TdxFader::DoTimer(rtl::TObject* /*Sender*/)
{
  // An element that ends takes itself out of the list, and a repaint may
  // remove others: the index is checked against the list each time.
  for (int i = FList->GetCount() - 1; i >= 0; i = std::min(i - 1, FList->GetCount() - 1))
    FList->GetItem(i)->Tick();
}

void TdxFader::ValidateQueue()
{
  while (FList->GetCount() > FMaxAnimationCount)
    FList->GetItem(0)->Finalize();
  if (FTimer)
    FTimer->SetEnabled(FList->GetCount() > 0);
}

// ---------------------------------------------------------------------------
// TdxFadingObjectHelper

void TdxFadingObjectHelper::Destroy()
{
  if (TdxFader* fader = dxGetFader())
    fader->Remove(this, true);
  inherited::Destroy();
}

void TdxFadingObjectHelper::CheckStartFading(TcxButtonState APrevState, TcxButtonState AState)
{
  if (APrevState == AState)
    return;
  const auto isCalm = [](TcxButtonState AValue) { return AValue == cxbsDefault || AValue == cxbsNormal; };
  if (AState == cxbsHot && isCalm(APrevState))
    FadeIn();
  else if (isCalm(AState) && APrevState == cxbsHot)
    FadeOut();
  else
    StopFading();
}

bool TdxFadingObjectHelper::DrawImage(HDC DC, const TRect& R)
{
  TdxFader* fader = dxGetFader();
  return fader && fader->DrawFadeImage(this, DC, R);
}

void TdxFadingObjectHelper::FadeIn()
{
  if (TdxFader* fader = dxGetFader())
    fader->FadeIn(this);
}

void TdxFadingObjectHelper::FadeOut()
{
  if (TdxFader* fader = dxGetFader())
    fader->FadeOut(this);
}

void TdxFadingObjectHelper::StopFading()
{
  if (TdxFader* fader = dxGetFader())
    fader->Remove(this, false);
}

bool TdxFadingObjectHelper::GetActive()
{
  TdxFader* fader = dxGetFader();
  return fader && fader->Contains(this);
}

void __stdcall TdxFadingObjectHelper::FadingGetImages(TcxBitmap32*& AFadeOutImage, TcxBitmap32*& AFadeInImage)
{
  AFadeOutImage = nullptr;
  AFadeInImage = nullptr;
}
