// The feedback windows of drag and drop: borderless topmost popups that the
// mouse passes through.
// - TcxCustomDragImage: the window, semi-transparent where layered windows
//   are available, placed by a hot spot;
// - TcxDragImage: shows a picture drawn by the caller;
// - TcxSizeFrame: a hatched frame (or a filled area) shaped by a window
//   region, for sizing feedback;
// - TcxDragAndDropArrow: the arrow that marks a drop position beside an
//   area, from the "CX_DROPARROW" bitmaps.
#pragma once

#include <windows.h>

#include "lookandfeel/cxLookAndFeels.h"
#include "platform/vcl/Controls.h"

class TcxAlphaBitmap;
class TcxCanvas;
class TcxRegion;
class TdxScaleFactor;

RTL_ENUM(TcxArrowPlace, apLeft, apTop, apRight, apBottom);

// SetLayeredWindowAttributes is there; without it the feedback windows are
// opaque.
bool cxIsLayeredWindowAttributesAvailable();

class TcxCustomDragImage : public vcl::TCustomControl, public IdxSkinSupport, public IdxSkinSupport2 {
  RTL_CLASS(TcxCustomDragImage, vcl::TCustomControl)
  RTL_INTERFACES(IdxSkinSupport, IdxSkinSupport2)
  RTL_MESSAGES(RTL_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd), RTL_MESSAGE(WM_NCHITTEST, WMNCHitTest))

 public:
  virtual void Create();
  void Destroy() override;

  // Takes the size of ASourceBounds; the hot spot is ASourcePoint inside it.
  void Init(const TRect& ASourceBounds, const TPoint& ASourcePoint);
  // Puts the hot spot at APosition (screen coordinates).
  void MoveTo(const TPoint& APosition);
  void Offset(int X, int Y);
  // Topmost without activation.
  void Show(int ACmdShow);
  void Hide();

  // The window exists and is visible.
  bool GetVisible();
  void SetVisible(bool AValue);
  bool GetAlphaBlended() { return FAlphaBlend && cxIsLayeredWindowAttributesAvailable(); }
  bool GetAlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool AValue);
  BYTE GetAlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(BYTE AValue);
  bool GetTransparentColor() const { return FTransparentColor; }
  void SetTransparentColor(bool AValue);
  vcl::TColor GetTransparentColorValue() const { return FTransparentColorValue; }
  void SetTransparentColorValue(vcl::TColor AValue);
  vcl::TWinControl* GetPopupParent() const { return FPopupParent; }
  // Re-creates the window.
  void SetPopupParent(vcl::TWinControl* AValue);
  TPoint GetPositionOffset() const { return FPositionOffset; }
  // The canvas to draw the feedback on.
  virtual TcxCanvas* GetcxCanvas() { return FCanvas; }

  // IdxSkinSupport2
  bool __stdcall IsSkinnable() override { return false; }

 protected:
  virtual void UpdateLayeredAttributes();
  void CreateParams(vcl::TCreateParams& AParams) override;
  void CreateWnd() override;
  void Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation) override;

  void WMEraseBkgnd(rtl::TMessage& AMessage) { AMessage.Result = 1; }
  void WMNCHitTest(rtl::TMessage& AMessage) { AMessage.Result = HTTRANSPARENT; }

 private:
  bool CanUseLayeredAttributes();
  HWND GetParentWindow();

  bool FAlphaBlend;
  BYTE FAlphaBlendValue;
  TcxCanvas* FCanvas;
  vcl::TWinControl* FPopupParent;
  TPoint FPositionOffset;
  bool FTransparentColor;
  vcl::TColor FTransparentColorValue;
};

// Shows a picture the caller draws on Canvas; the picture follows the
// window's size.
class TcxDragImage : public TcxCustomDragImage {
  RTL_CLASS(TcxDragImage, TcxCustomDragImage)

 public:
  void Create() override;
  void Destroy() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // The picture's canvas.
  TcxCanvas* GetcxCanvas() override;
  TcxAlphaBitmap* GetImage() const { return FImage; }

 protected:
  void Paint() override;

 private:
  TcxAlphaBitmap* FImage;
};

// A frame of FrameWidth pixels around a rectangle or a region, filled with
// a fine black and white hatch.
class TcxSizeFrame : public TcxCustomDragImage {
  RTL_CLASS(TcxSizeFrame, TcxCustomDragImage)

 public:
  virtual void Create(int AFrameWidth);
  void Destroy() override;

  // Frames the rectangle ARect (screen coordinates).
  void DrawSizeFrame(const TRect& ARect);
  // Frames ARegion (relative to ARect's top-left) placed at ARect.
  void DrawSizeFrame(const TRect& ARect, const TcxRegion* ARegion);
  // Hollows the region out and makes it the window's region; a frame not
  // larger than twice its width keeps the previous one.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  bool GetFillSelection() const { return FFillSelection; }
  void SetFillSelection(bool AValue) { FFillSelection = AValue; }
  int GetFrameWidth() const { return FFrameWidth; }

 protected:
  void CreateWnd() override;
  void Paint() override;

 private:
  void ApplyRegion();

  bool FFillSelection;
  int FFrameWidth;
  TcxRegion* FRegion;
  vcl::TBitmap* FPattern;
};

// The arrow beside an area that marks where a drop lands.
class TcxDragAndDropArrow : public TcxDragImage {
  RTL_CLASS(TcxDragAndDropArrow, TcxDragImage)

 public:
  using TcxDragImage::Create;
  // Keys out ImageBackColor when ATransparent and layered windows are there;
  // otherwise the window takes the arrow's shape.
  virtual void Create(bool ATransparent);

  // AAreaBounds and AClientRect in AOwner's client coordinates (screen
  // coordinates without an owner).
  void Init(vcl::TControl* AOwner, const TRect& AAreaBounds, const TRect& AClientRect, TcxArrowPlace APlace);
  void Init(const TPoint& AOwnerOrigin, const TRect& AAreaBounds, const TRect& AClientRect, TcxArrowPlace APlace);

  // Where the arrow of APlace stands beside AAreaBounds kept inside
  // AClientRect (when not empty).
  static TRect CalculateBounds(const TRect& AAreaBounds, const TRect& AClientRect, TcxArrowPlace APlace,
                               const TdxScaleFactor* AScaleFactor, bool AUseRightToLeftAlignment = false);
  // The arrow of APlace turned to point at the area; the caller frees it.
  static vcl::TBitmap* GetGlyph(TcxArrowPlace APlace, const TdxScaleFactor* AScaleFactor);
  // The bitmap resource of the scale.
  static const wchar_t* GlyphResourceName(const TdxScaleFactor* AScaleFactor);
  // The glyph at ABounds' top-left, its border and fill recoloured when both
  // colours are real colours (not clNone, not clDefault).
  static void Draw(TcxCanvas* ACanvas, const TRect& ABounds, TcxArrowPlace APlace,
                   const TdxScaleFactor* AScaleFactor);
  static void Draw(TcxCanvas* ACanvas, const TRect& ABounds, TcxArrowPlace APlace, vcl::TColor AArrowBorderColor,
                   vcl::TColor AArrowColor, const TdxScaleFactor* AScaleFactor);

  virtual vcl::TColor GetImageBackColor() { return 0xFF00FF; }
  bool GetTransparent() { return FTransparent && cxIsLayeredWindowAttributesAvailable(); }
  // clDefault: the glyph's own colours. Taken by the next Init.
  vcl::TColor GetArrowBorderColor() const { return FBorderColor; }
  void SetArrowBorderColor(vcl::TColor AValue) { FBorderColor = AValue; }
  vcl::TColor GetArrowColor() const { return FColor; }
  void SetArrowColor(vcl::TColor AValue) { FColor = AValue; }

 private:
  vcl::TColor FBorderColor;
  vcl::TColor FColor;
  bool FTransparent;
};
