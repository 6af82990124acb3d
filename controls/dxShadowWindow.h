// The drop shadow of a popup (a menu, a floating bar): a borderless window
// placed right under its owner window. Where per-pixel layered windows are
// available and the screen has more than 8 bits per pixel, the shadow is a
// nine-part alpha image pushed with UpdateLayeredWindow; otherwise an opaque
// window filled with a dark system colour. It never takes the mouse or the
// activation.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>

#include "core/dxTypeHelpers.h"
#include "platform/vcl/Controls.h"

class TcxBitmap32;
class TcxCanvas;
class TdxSkinImage;

// The system's drop-shadow setting is on and the program does not run over a
// remote desktop connection.
bool cxIsDropShadowEnabled();
// UpdateLayeredWindow is there and the screen has more than 8 bits per
// pixel.
bool cxCanUseLayeredShadow();

// The size of the off-screen image for a window of AWindowSize, the image
// being ABufferSize now: kept while it is not smaller than the window and
// not larger by more than 32 pixels either way, else the window's size
// rounded up to the next multiple of 32 past it.
TSize cxShadowBufferSize(const TSize& ABufferSize, const TSize& AWindowSize);

// The data of the resource AName of type AType in AModule (first language),
// found by walking the module's resource directory rather than by its
// binary search: the linker sorts names by code unit while Wine compares
// them lower-cased, so a search misses a name such as "DXSHADOWMASK" that
// sorts differently among "DX_..." names. Empty when it is not there.
std::span<const std::byte> dxFindModuleResourceData(HMODULE AModule, const wchar_t* AName, const wchar_t* AType);

class TdxCustomShadowWindow : public vcl::TCustomControl {
  RTL_CLASS(TdxCustomShadowWindow, vcl::TCustomControl)
  RTL_MESSAGES(RTL_MESSAGE(WM_NCHITTEST, WMNCHitTest), RTL_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd),
               RTL_MESSAGE(WM_PAINT, WMPaint))

 public:
  virtual void Create(vcl::TWinControl* AOwnerWindow);
  void Destroy() override;

  // Placed directly below the owner window and shown without activation.
  virtual void Show();
  // Hides the window and destroys it: every Show makes a fresh one.
  virtual void Hide();
  virtual void Refresh();

  vcl::TColor GetShadowColor() const { return FShadowColor; }
  // clNone, clDefault and the current colour change nothing.
  void SetShadowColor(vcl::TColor AValue);
  bool GetTransparent() const { return FTransparent; }
  // Layered only where cxCanUseLayeredShadow allows it.
  void SetTransparent(bool AValue);
  // The window exists and is visible.
  bool GetVisible();
  void SetVisible(bool AValue);
  vcl::TWinControl* GetOwnerWindow() const { return FOwnerWindow; }

 protected:
  // The shadow mask over the client rectangle.
  virtual void DrawShadow(TcxCanvas* ACanvas);
  void CreateParams(vcl::TCreateParams& AParams) override;
  void Paint() override;
  void Resize() override;

  void WMNCHitTest(vcl::TMessage& AMessage);
  void WMEraseBkgnd(vcl::TMessage& AMessage);
  void WMPaint(vcl::TWMPaint& AMessage);

  TcxBitmap32* GetOutputBuffer() const { return FOutputBuffer; }
  TdxSkinImage* GetShadowMask() const { return FShadowMask; }

 private:
  void LoadShadowMask();
  void UpdateLayeredShadow();
  void FreeOutputBuffer();

  TcxBitmap32* FOutputBuffer;
  vcl::TWinControl* FOwnerWindow;
  vcl::TColor FShadowColor;
  TdxSkinImage* FShadowMask;
  bool FTransparent;
};
