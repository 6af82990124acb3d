// The smart image's exchange with the Windows clipboard and the stepping
// through the frames of animated images.
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "graphics/dxSmartImage.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/GraphicsHandles.h"

using enum TdxDefaultBoolean;
using enum vcl::TBitmapHandleType;
using enum vcl::TPixelFormat;

namespace {

// One clipboard format per TdxImageDataFormat, indexed by its ordinal.
constinit std::array<WORD, 11> ClipboardFormats{};

constexpr TdxImageDataFormat PastePreference[] = {dxImagePng, dxImageGif, dxImageTiff, dxImageJpeg, dxImageBitmap};

constinit TdxSmartImageAnimationControllerClass AnimationControllerClass{};

// The clipboard, open for the life of the object. A clipboard emptied while
// opened without a window has no owner and refuses new data, so the session
// owns a message-only window of its own; the data placed stays on the
// clipboard after the window is gone.
class TClipboardSession {
 public:
  TClipboardSession()
  {
    FWindow = CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    // Another program may hold the clipboard for a moment.
    for (int attempt = 0; attempt < 10; ++attempt) {
      if (OpenClipboard(FWindow))
        return;
      Sleep(10);
    }
    const DWORD error = GetLastError();
    DestroyWindow(FWindow);
    rtl::RaiseLastOSError(error);
  }
  ~TClipboardSession()
  {
    CloseClipboard();
    DestroyWindow(FWindow);
  }
  TClipboardSession(const TClipboardSession&) = delete;
  TClipboardSession& operator=(const TClipboardSession&) = delete;

 private:
  HWND FWindow;
};

// A global memory block freed unless handed on.
class TGlobalBlock {
 public:
  explicit TGlobalBlock(HGLOBAL AHandle) : FHandle(AHandle) {}
  ~TGlobalBlock()
  {
    if (FHandle)
      GlobalFree(FHandle);
  }
  TGlobalBlock(const TGlobalBlock&) = delete;
  TGlobalBlock& operator=(const TGlobalBlock&) = delete;
  HGLOBAL Get() const { return FHandle; }
  HGLOBAL Release() { return std::exchange(FHandle, nullptr); }

 private:
  HGLOBAL FHandle;
};

// Raises the system's error when a global block could not be locked.
void CheckLocked(const void* AMemory)
{
  if (!AMemory)
    rtl::RaiseLastOSError();
}

}  // namespace

// ---------------------------------------------------------------------------
// Clipboard table

WORD dxGetImageClipboardFormat(TdxImageDataFormat AFormat)
{
  const auto index = static_cast<std::size_t>(AFormat);
  return index < ClipboardFormats.size() ? ClipboardFormats[index] : 0;
}

void dxSetImageClipboardFormat(TdxImageDataFormat AFormat, WORD AClipboardFormat)
{
  const auto index = static_cast<std::size_t>(AFormat);
  if (index < ClipboardFormats.size())
    ClipboardFormats[index] = AClipboardFormat;
}

// ---------------------------------------------------------------------------
// TdxCustomSmartImage: clipboard

void TdxCustomSmartImage::CopyToClipboard()
{
  if (GetEmpty())
    return;
  TClipboardSession session;
  EmptyClipboard();
  WORD format = 0;
  HANDLE data = nullptr;
  HPALETTE palette = nullptr;
  SaveToClipboardFormat(format, data, palette);
  if (!SetClipboardData(format, data)) {
    // Not taken: the data is still ours.
    if (format == CF_BITMAP)
      vcl::DeleteAndNil(data);
    else
      GlobalFree(data);
  }
  if (palette && !SetClipboardData(CF_PALETTE, palette))
    vcl::DeleteAndNil(palette);
}

void TdxCustomSmartImage::CutToClipboard()
{
  if (GetEmpty())
    return;
  CopyToClipboard();
  Clear();
}

void TdxCustomSmartImage::PasteFromClipboard()
{
  TClipboardSession session;
  DoPasteFromClipboard();
}

bool TdxCustomSmartImage::DoPasteFromClipboard()
{
  for (TdxImageDataFormat format : PastePreference) {
    const WORD clipboardFormat = dxGetImageClipboardFormat(format);
    if (clipboardFormat == 0 || !IsClipboardFormatAvailable(clipboardFormat))
      continue;
    if (HANDLE data = GetClipboardData(clipboardFormat)) {
      LoadFromClipboardFormat(clipboardFormat, data, nullptr);
      return true;
    }
  }
  return false;
}

bool TdxCustomSmartImage::HasClipboardFormat()
{
  return std::any_of(std::begin(PastePreference), std::end(PastePreference), [](TdxImageDataFormat AFormat) {
    const WORD format = dxGetImageClipboardFormat(AFormat);
    return format != 0 && IsClipboardFormatAvailable(format);
  });
}

bool TdxCustomSmartImage::IsSupportClipboardFormat(WORD AFormat)
{
  return AFormat != 0 && std::find(ClipboardFormats.begin(), ClipboardFormats.end(), AFormat) != ClipboardFormats.end();
}

void TdxCustomSmartImage::LoadFromClipboardFormat(WORD AFormat, HANDLE AData, HPALETTE APalette)
{
  if (AFormat == CF_BITMAP) {
    rtl::TOwnedPtr<vcl::TBitmap> bitmap(rtl::New<vcl::TBitmap>());
    bitmap->SetHandleType(bmDIB);
    bitmap->LoadFromClipboardFormat(AFormat, AData, APalette);
    bitmap->SetPixelFormat(pf24bit);
    SetBitmap(bitmap.get());
    return;
  }
  if (!IsSupportClipboardFormat(AFormat))
    return;
  const SIZE_T size = GlobalSize(AData);
  rtl::TOwnedPtr<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
  {
    const vcl::TGlobalLock<> lock(AData);
    CheckLocked(lock.Get());
    stream->WriteBuffer(lock.Get(), static_cast<int>(size));
  }
  stream->SetPosition(0);
  LoadFromStream(stream.get());
}

void TdxCustomSmartImage::SaveToClipboardFormat(WORD& AFormat, HANDLE& AData, HPALETTE& APalette)
{
  {
    rtl::TOwnedPtr<vcl::TBitmap> bitmap(rtl::New<vcl::TBitmap>());
    const TSize size = GetSize();
    bitmap->SetSize(size.cx, size.cy);
    vcl::TCanvas* canvas = bitmap->GetCanvas();
    canvas->GetBrush()->SetColor(0xFFFFFF);
    canvas->FillRect(TRect{0, 0, size.cx, size.cy});
    Draw(canvas, TRect{0, 0, size.cx, size.cy});
    bitmap->SaveToClipboardFormat(AFormat, AData, APalette);
  }
  const WORD encodedFormat = dxGetImageClipboardFormat(GetImageDataFormat());
  // A bitmap image's format is CF_BITMAP itself, whose data is a bitmap
  // handle: handing encoded bytes under it would replace the bitmap just
  // made with something no reader can take.
  if (encodedFormat == 0 || encodedFormat == CF_BITMAP)
    return;
  if (!SetClipboardData(AFormat, AData))
    vcl::DeleteAndNil(AData);
  AData = nullptr;
  rtl::TOwnedPtr<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
  SaveToStream(stream.get());
  const auto size = static_cast<SIZE_T>(stream->GetSize());
  TGlobalBlock block(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size));
  if (!block.Get())
    rtl::RaiseLastOSError();
  {
    const vcl::TGlobalLock<> lock(block.Get());
    CheckLocked(lock.Get());
    std::memcpy(lock.Get(), stream->Memory(), size);
  }
  AData = block.Release();
  AFormat = encodedFormat;
}

// ---------------------------------------------------------------------------
// TdxCustomSmartImage: animation

namespace {

rtl::IPtr<IdxAnimatedImage> AnimatedImageOf(TdxSmartImageCustomHandle* AHandle)
{
  rtl::IPtr<IdxAnimatedImage> result;
  rtl::Supports(AHandle, &result);
  return result;
}

}  // namespace

int TdxCustomSmartImage::AnimationFrameCount()
{
  const auto animated = AnimatedImageOf(GetImageHandle());
  return animated ? static_cast<int>(animated->GetAnimationFrameCount()) : 1;
}

int TdxCustomSmartImage::GetAnimationFrameDelay()
{
  if (FAnimationFrameDelay != 0)
    return FAnimationFrameDelay;
  const auto animated = AnimatedImageOf(GetImageHandle());
  return animated ? animated->GetAnimationFrameDelay() : 0;
}

void TdxCustomSmartImage::SetAnimationFrameDelay(int AValue)
{
  AValue = std::max(0, AValue);
  if (AValue == FAnimationFrameDelay)
    return;
  FAnimationFrameDelay = AValue;
  // A running animation takes the new delay from its next frame on.
  if (GetAnimation()) {
    StopAnimation();
    StartAnimation();
  }
}

int TdxCustomSmartImage::AnimationLoopCount()
{
  const auto animated = AnimatedImageOf(GetImageHandle());
  return animated ? animated->GetAnimationLoopCount() : 0;
}

int TdxCustomSmartImage::GetActiveFrame()
{
  const auto animated = AnimatedImageOf(GetImageHandle());
  return animated ? static_cast<int>(animated->GetActiveFrame()) : 0;
}

void TdxCustomSmartImage::SetActiveFrame(int AValue)
{
  const auto animated = AnimatedImageOf(GetImageHandle());
  if (!animated)
    return;
  int target = std::max(AValue, 0);
  const int frameCount = static_cast<int>(animated->GetAnimationFrameCount());
  if (target >= frameCount) {
    const int lastFrame = std::max(frameCount - 1, 0);
    const int loopCount = animated->GetAnimationLoopCount();
    switch (FAnimationLoop) {
      case bTrue:
        target = 0;
        break;
      case bFalse:
        target = lastFrame;
        break;
      default:
        // The file's loop count (0 for ever) is honoured by counting the
        // loops this image object has completed.
        target = loopCount != 0 && FAnimationLoopIndex >= loopCount ? lastFrame : 0;
        if (target == 0 && loopCount != 0)
          ++FAnimationLoopIndex;
        break;
    }
  }
  if (target != static_cast<int>(animated->GetActiveFrame())) {
    animated->SetActiveFrame(static_cast<std::uint32_t>(target));
    Changed(this);
  }
}

bool TdxCustomSmartImage::CanAnimate()
{
  return AnimatedImageOf(GetImageHandle()) && GetImageDataFormat() != dxImageTiff;
}

bool TdxCustomSmartImage::GetAnimation()
{
  return FAnimationController && FAnimationController->Active();
}

void TdxCustomSmartImage::SetAnimation(bool AValue)
{
  if (AValue == GetAnimation())
    return;
  if (AValue && CanAnimate())
    StartAnimation();
  else
    StopAnimation();
}

void TdxCustomSmartImage::StartAnimation()
{
  if (FAnimationController || AnimationFrameCount() < 2)
    return;
  FAnimationController = dxGetSmartImageAnimationControllerClass().Create(this);
  FAnimationController->StartAnimation();
}

void TdxCustomSmartImage::StopAnimation()
{
  rtl::FreeAndNil(FAnimationController);
}

// ---------------------------------------------------------------------------
// TdxSmartImageAnimationController

void TdxSmartImageAnimationController::Create(TdxCustomSmartImage* AImage)
{
  inherited::Create();
  FImage = AImage;
}

void TdxSmartImageAnimationController::Destroy()
{
  StopAnimation();
  inherited::Destroy();
}

bool TdxSmartImageAnimationController::Active()
{
  return FImage->AnimationFrameCount() > 1 && IsTimerActive();
}

void TdxSmartImageAnimationController::NextFrame()
{
  StopTimer();
  TdxCustomSmartImage* image = FImage;
  const int frame = image->GetActiveFrame();
  // Staying on the same frame is the end of a sequence that does not wrap.
  const auto finish = [&] {
    if (image->GetActiveFrame() == frame)
      image->StopAnimation();
    else
      StartTimer();
  };
  try {
    image->SetActiveFrame(frame + 1);
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

TdxSmartImageAnimationControllerClass dxGetSmartImageAnimationControllerClass()
{
  if (!AnimationControllerClass)
    return TdxSmartImageAnimationControllerClass::Of<TdxSmartImageAnimationController>();
  return AnimationControllerClass;
}

void dxSetSmartImageAnimationControllerClass(TdxSmartImageAnimationControllerClass AValue)
{
  AnimationControllerClass = AValue;
}
