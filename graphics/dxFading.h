// Cross-fades of hot states: buttons, editor buttons, check boxes,
// scroll-bar parts and bar items blend between their normal and hot
// pictures when the mouse enters or leaves them.
// - TdxFadingOptions: frame counts and delays of the two directions;
// - IdxFadingObject, IdxFadingObjectFadingOptions: what a fading element
//   implements;
// - TdxFadingElement and TdxFadingList: one running cross-fade, and the
//   fader's list of them;
// - TdxFader: the process-wide animator on a 10 ms timer (dxGetFader);
// - TdxFadingObjectHelper: the base of the sub-element fade helpers;
// - TdxFadingHelper: colour and alpha chores of fade pictures;
// - the fader's two readings of the system (menu animation, screen depth),
//   which tests replace.
//
// User-interface thread only: the frames come from a window timer of that
// thread.
#pragma once

#include <windows.h>

#include "core/cxClasses.h"
#include "graphics/cxGraphics.h"
#include "graphics/dxCoreGraphics.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/rtl/TypInfo.h"
#include "platform/vcl/Graphics.h"

// The unit's start-up creates the global fader, its shut-down frees it.
RTL_DECLARE_UNIT(dxFading);

class TcxBitmap32;
class TcxTimer;
class TdxFader;

RTL_ENUM(TdxFadingState, fsFadeIn, fsFadeOut);
// fasDefault follows the system's menu-animation setting.
RTL_ENUM(TdxFaderAnimationState, fasDefault, fasEnabled, fasDisabled);

inline constexpr int dxFadeInDefaultAnimationFrameCount = 4;
inline constexpr int dxFadeInDefaultAnimationFrameDelay = 15;
inline constexpr int dxFadeOutDefaultAnimationFrameCount = 12;
inline constexpr int dxFadeOutDefaultAnimationFrameDelay = 20;

// ---------------------------------------------------------------------------
// Options

// A frame count of 0 switches that direction off.
class TdxFadingOptions : public rtl::TPersistent {
  RTL_CLASS(TdxFadingOptions, rtl::TPersistent)
  RTL_PUBLISHED(RTL_PROPERTY(FadeInFrameCount, GetFadeInFrameCount, SetFadeInFrameCount,
                             RTL_DEFAULT(dxFadeInDefaultAnimationFrameCount)),
                RTL_PROPERTY(FadeInFrameDelay, GetFadeInFrameDelay, SetFadeInFrameDelay,
                             RTL_DEFAULT(dxFadeInDefaultAnimationFrameDelay)),
                RTL_PROPERTY(FadeOutFrameCount, GetFadeOutFrameCount, SetFadeOutFrameCount,
                             RTL_DEFAULT(dxFadeOutDefaultAnimationFrameCount)),
                RTL_PROPERTY(FadeOutFrameDelay, GetFadeOutFrameDelay, SetFadeOutFrameDelay,
                             RTL_DEFAULT(dxFadeOutDefaultAnimationFrameDelay)))

 public:
  // The process-wide defaults.
  virtual void Create();
  // From another TdxFadingOptions through the setters; anything else goes to
  // the inherited Assign.
  void Assign(rtl::TPersistent* ASource) override;

  int GetFadeInFrameCount() const { return FFadeInFrameCount; }
  // 0..32.
  void SetFadeInFrameCount(int AValue);
  int GetFadeInFrameDelay() const { return FFadeInFrameDelay; }
  // 10..300 ms.
  void SetFadeInFrameDelay(int AValue);
  int GetFadeOutFrameCount() const { return FFadeOutFrameCount; }
  void SetFadeOutFrameCount(int AValue);
  int GetFadeOutFrameDelay() const { return FFadeOutFrameDelay; }
  void SetFadeOutFrameDelay(int AValue);

 private:
  int FFadeInFrameCount;
  int FFadeInFrameDelay;
  int FFadeOutFrameCount;
  int FFadeOutFrameDelay;
};

// ---------------------------------------------------------------------------
// What a fading element implements

struct IdxFadingObject : rtl::IInterface {
  RTL_GUID(IdxFadingObject, "{73AB2A92-CDD9-4F13-965A-DC799DE837F9}")
  // Whether this element wants to fade now.
  virtual bool __stdcall FadingCanFade() = 0;
  // The frame changed, or the fade ended: the element invalidates itself.
  virtual void __stdcall FadingRepaint() = 0;
  // New pictures of the element, normal and hot, of one size; the fader
  // takes them over.
  virtual void __stdcall FadingGetImages(TcxBitmap32*& AFadeOutImage, TcxBitmap32*& AFadeInImage) = 0;
};

struct IdxFadingObjectFadingOptions : rtl::IInterface {
  RTL_GUID(IdxFadingObjectFadingOptions, "{FAAAF4F8-7F10-42CD-9368-2BB5A1F1482B}")
  // Nil for the defaults; the element keeps ownership.
  virtual TdxFadingOptions* __stdcall FadingGetOptions() = 0;
};

// ---------------------------------------------------------------------------
// One running cross-fade

// Made and listed by the fader; freeing it unlists it. The work image holds
// straight (not premultiplied) alpha.
class TdxFadingElement : public TcxIUnknownObject {
  RTL_CLASS(TdxFadingElement, TcxIUnknownObject)

 public:
  virtual void Create(TdxFader* AOwner, rtl::TObject* AElement);
  // Unlists itself (the queue is validated again) and frees its frames
  // without a repaint.
  void Destroy() override;

  int GetAnimationFrameCount() const { return FAnimationFrameCount; }
  int GetAnimationFrameDelay() const { return FAnimationFrameDelay; }
  rtl::TObject* GetElement() const { return FElement; }
  TcxBitmap32* GetWorkImage() const { return FWorkImage; }
  int GetStage() const { return FStage; }

 protected:
  friend class TdxFader;

  // The frame for the present stage becomes the work image.
  void CalculateWorkImage();
  // Drops the work image, which repaints the element, and frees it.
  void Finalize();
  // A new bitmap of the frame now on screen; nil without a work image.
  TcxBitmap32* GetWorkImageAsBitmap() const;
  // Reads both pictures; the image size is AImage1's.
  void LoadImages(TcxBitmap32* AImage1, TcxBitmap32* AImage2);
  // Frame count 1..32, delay 1..300 ms, stage and tick back to 0.
  void SetAnimationParameters(int AFrameCount, int AFrameDelay);
  // One tick of the fader's timer: every FDelayCount-th tick moves on a
  // frame, and the tick after the last frame ends the fade.
  void Tick();
  void SetWorkImage(TcxBitmap32* AValue);

 private:
  int FAnimationFrameCount;
  int FAnimationFrameDelay;
  int FDelayCount;
  int FDelayIndex;
  rtl::TObject* FElement;
  rtl::IPtr<IdxFadingObject> FFadingObject;
  TSize FImageSize;
  TdxFader* FOwner;
  int FStage;
  TcxBitmap32* FWorkImage;
  // Both pictures as 32-bit pixels, top-down.
  TRGBColors FImage1Colors;
  TRGBColors FImage2Colors;
};

// Oldest first.
class TdxFadingList : public rtl::TList {
  RTL_CLASS(TdxFadingList, rtl::TList)

 public:
  // Frees every element (no repaint), then empties the list.
  void Clear() override;
  TdxFadingElement* GetItem(int AIndex) const { return static_cast<TdxFadingElement*>(rtl::TList::GetItem(AIndex)); }
};

// ---------------------------------------------------------------------------
// The fader

class TdxFader : public rtl::TObject {
  RTL_CLASS(TdxFader, rtl::TObject)

 public:
  // Up to 10 fades at once, following the system setting, timer stopped.
  virtual void Create();
  // Frees every element (no repaint), the timer and the list.
  void Destroy() override;

  void FadeIn(rtl::TObject* AObject);
  void FadeOut(rtl::TObject* AObject);
  // Asks the object for its pictures (only when it can fade) and fades with
  // its options or the defaults.
  void Fade(rtl::TObject* AObject, TdxFadingState AState);
  // Blends from AImage1 to AImage2. Takes both bitmaps over and frees them
  // in every case. A fade already running for AObject goes on from the
  // frame now on screen.
  void Fade(rtl::TObject* AObject, TcxBitmap32* AImage1, TcxBitmap32* AImage2, int AAnimationFrameCount,
            int AAnimationFrameDelay);

  bool CanFade(rtl::TObject* AObject);
  bool CanFade(rtl::TObject* AObject, rtl::IPtr<IdxFadingObject>& AFadingObject);
  bool Contains(rtl::TObject* AObject);
  bool Find(rtl::TObject* AObject, TdxFadingElement*& AFadingElement);
  // Draws AObject's present frame stretched into R and answers True; False
  // when no frame is there, and the caller paints as usual.
  bool DrawFadeImage(rtl::TObject* AObject, HDC DC, const TRect& R);
  // With ADestroying the element goes silently (the object is on its way
  // out); otherwise the object repaints itself in its own state.
  void Remove(rtl::TObject* AObject, bool ADestroying = false);
  // Frees every element without a repaint.
  void Clear();

  bool GetActive();
  // Active, a fade allowed, the 2-D graphics library there and a screen of
  // more than 16 bits per pixel.
  bool GetIsReady();
  int GetMaxAnimationCount() const { return FMaxAnimationCount; }
  // 0..20; a change validates the queue.
  void SetMaxAnimationCount(int AValue);
  TdxFaderAnimationState GetState() const { return FState; }
  void SetState(TdxFaderAnimationState AValue) { FState = AValue; }

 protected:
  friend class TdxFadingElement;

  // Each tick, every element from the newest to the oldest.
  virtual void DoTimer(rtl::TObject* Sender);
  // Finalizes the oldest elements beyond MaxAnimationCount, then lets the
  // timer run exactly while some element is left.
  void ValidateQueue();

  TdxFadingList* FList;
  int FMaxAnimationCount;
  TdxFaderAnimationState FState;
  TcxTimer* FTimer;
};

// The global fader; nil before the unit's start-up and after its shut-down.
TdxFader* dxGetFader();

// ---------------------------------------------------------------------------
// Sub-element helpers

// A part of a control that fades on its own (a scroll-bar part, an editor
// button, a check box, a bar mark). Descendants override the three fading
// operations.
class TdxFadingObjectHelper : public TcxIUnknownObject, public IdxFadingObject {
  RTL_CLASS(TdxFadingObjectHelper, TcxIUnknownObject)
  RTL_INTERFACES(IdxFadingObject)

 public:
  // Drops its fade silently.
  void Destroy() override;

  // Entering cxbsHot from cxbsDefault or cxbsNormal fades in, the way back
  // fades out, any other change stops the fade; equal states do nothing.
  void CheckStartFading(TcxButtonState APrevState, TcxButtonState AState);
  // Whether a frame was drawn; the caller paints as usual otherwise.
  bool DrawImage(HDC DC, const TRect& R);
  void FadeIn();
  void FadeOut();
  void StopFading();
  // While a fade of this helper runs.
  bool GetActive();

  bool __stdcall FadingCanFade() override { return false; }
  void __stdcall FadingRepaint() override {}
  void __stdcall FadingGetImages(TcxBitmap32*& AFadeOutImage, TcxBitmap32*& AFadeInImage) override;
};

// ---------------------------------------------------------------------------
// Colour and alpha chores

class TdxFadingHelper {
 public:
  TdxFadingHelper() = delete;

  // The resolved colour with pure black made RGB(1, 1, 1), so that a black
  // fill survives CorrectAlphaChannel.
  static vcl::TColor CheckColor(vcl::TColor AColor);
  // Pictures drawn by GDI leave alpha 0: every pixel with alpha 0 that is
  // not black becomes opaque, black ones stay transparent.
  static void CorrectAlphaChannel(TRGBColors& AColors);
  // The same on the pixels of a 32-bit bitmap; others have no alpha to
  // correct.
  static void CorrectAlphaChannel(vcl::TBitmap* ABitmap);
};

// ---------------------------------------------------------------------------
// The fader's readings of the system
//
// The fader reads its one system parameter through this replaceable
// function: the control framework's start-up installs its system-information
// cache here (graphics cannot call up into the framework), and until then,
// or in a program without the framework, SystemParametersInfoW is read
// directly. Tests replace it and the screen depth to see the fader on or off
// whatever the machine says.

// True when the parameter was read into AValue.
using TdxFadingGetSystemParameterFunc = bool (*)(UINT AParameter, UINT& AValue);
// Bits per pixel of the screen; 0 when unknown.
using TdxFadingGetScreenBitsPerPixelFunc = int (*)();

// nullptr restores the system's; each answers the function replaced.
TdxFadingGetSystemParameterFunc dxFadingSetGetSystemParameterFunc(TdxFadingGetSystemParameterFunc AFunc);
TdxFadingGetScreenBitsPerPixelFunc dxFadingSetGetScreenBitsPerPixelFunc(TdxFadingGetScreenBitsPerPixelFunc AFunc);
