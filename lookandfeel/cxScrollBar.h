// The system's own scroll bar.
// - TcxScrollBarHelper: a windowless bar inside some host window, driven by
//   the host's mouse messages; it owns its view info (the layout of the five
//   parts), its controller (mouse input and the repeat timer) and its painter
//   (each part through the host's look-and-feel painter, with hot fading).
//   The host is reached only through IcxScrollBarOwner.
// - TcxScrollBar: the stand-alone windowed scroll bar.
// - the size routines of the classic, touch and hybrid bars.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

#include "core/cxClasses.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphics.h"
#include "graphics/dxFading.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "platform/vcl/Controls.h"

class TcxTimer;
class TcxScrollBarHelper;
class TcxScrollBarViewInfo;
class TcxScrollBarPartViewInfo;
class TdxThemeChangedNotificator;

// The framework's scroll-bar vocabulary.
RTL_ENUM(TScrollBarKind, sbHorizontal, sbVertical);
RTL_ENUM(TScrollCode, scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll);
using TScrollEvent = rtl::TMethod<void(rtl::TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;
// A line or page step, 1 to 32767.
using TScrollBarInc = std::int16_t;

// ---------------------------------------------------------------------------
// Sizes: width = the vertical bar's width, height = the horizontal bar's
// height.

TSize cxGetClassicScrollBarSize(const TdxScaleFactor* AScaleFactor);
TSize cxGetSystemScrollBarSize();
// Nil: the system scale factor.
TSize cxGetTouchScrollBarSize(const TdxScaleFactor* AScaleFactor = nullptr);
TSize cxGetHybridScrollBarBaseSize(bool AExpanded);
TSize cxGetHybridScrollBarSize(const TdxScaleFactor* AScaleFactor, bool AExpanded);

// ---------------------------------------------------------------------------
// The host of a windowless bar

struct IcxScrollBarOwner : rtl::IInterface {
  RTL_GUID(IcxScrollBarOwner, "{2A1C5B7E-6F0D-4E93-8C2B-5D7A9E3F1B46}")
  // The window that hosts the bar and receives its invalidation.
  virtual vcl::TWinControl* __stdcall GetControl() = 0;
  virtual TcxLookAndFeel* __stdcall GetLookAndFeel() = 0;
  virtual TdxScaleFactor* __stdcall GetScaleFactor() = 0;
};

// ---------------------------------------------------------------------------
// View info

class TcxScrollBarPartFadingHelper : public TdxFadingObjectHelper {
  RTL_CLASS(TcxScrollBarPartFadingHelper, TdxFadingObjectHelper)

 public:
  virtual void Create(TcxScrollBarPartViewInfo* AOwner);

  TcxButtonState GetState() const { return FState; }
  void SetState(TcxButtonState AValue) { FState = AValue; }

  bool __stdcall FadingCanFade() override;
  void __stdcall FadingRepaint() override;
  void __stdcall FadingGetImages(TcxBitmap32*& AFadeOutImage, TcxBitmap32*& AFadeInImage) override;

 private:
  TcxScrollBarPartViewInfo* FOwner;
  TcxButtonState FState;
};

class TcxScrollBarPartViewInfo : public rtl::TObject {
  RTL_CLASS(TcxScrollBarPartViewInfo, rtl::TObject)

 public:
  virtual void Create(TcxScrollBarViewInfo* AOwner, TcxScrollBarPart APart);
  void Destroy() override;

  const TRect& GetBounds() const { return FBounds; }
  void SetBounds(const TRect& AValue) { FBounds = AValue; }
  // Nil for the page areas, which do not fade.
  TcxScrollBarPartFadingHelper* GetFadingHelper() const { return FFadingHelper; }
  TcxScrollBarPart GetPart() const { return FPart; }
  TcxScrollBarViewInfo* GetOwner() const { return FOwner; }
  // Computed from the bar's hot and pressed parts: a pressed part shows
  // pressed only while the mouse is over it.
  TcxButtonState GetState() const;
  void SetState(TcxButtonState AValue) { FState = AValue; }

 private:
  TcxScrollBarViewInfo* FOwner;
  TRect FBounds;
  TcxScrollBarPartFadingHelper* FFadingHelper;
  TcxScrollBarPart FPart;
  TcxButtonState FState;
};

class TcxScrollBarViewInfo : public rtl::TObject {
  RTL_CLASS(TcxScrollBarViewInfo, rtl::TObject)

 public:
  virtual void Create(TcxScrollBarHelper* AScrollBar);
  void Destroy() override;
  virtual void Calculate();

  void AdjustPageRects();
  void CalculateThumbnailRect();
  // Moves the thumb to the left (or top) edge APos keeping its size.
  void SetThumbnailPos(int APos);
  TcxScrollBarPartViewInfo* GetPartInfo(TcxScrollBarPart APart) const;
  // The first part, in the order of the parts, whose rectangle holds P.
  TcxScrollBarPart GetPartAtPos(const TPoint& P) const;
  // The position the thumb's place stands for.
  int CalculatePositionFromThumbnail() const;

  TRect GetBounds() const { return GetBoundsRect(); }
  int GetArrowButtonLength() const { return FArrowButtonLength; }
  int GetLength() const { return FLength; }
  int GetMinThumbnailSize() const { return FMinThumbnailSize; }
  TcxScrollBarPart GetHotPart() const { return FHotPart; }
  void SetHotPart(TcxScrollBarPart AValue);
  TcxScrollBarPart GetPressedPart() const { return FPressedPart; }
  void SetPressedPart(TcxScrollBarPart AValue);
  TcxScrollBarHelper* GetScrollBar() const { return FScrollBar; }
  TRect GetThumbnailRect() const { return GetPartInfo(TcxScrollBarPart::sbpThumbnail)->GetBounds(); }

 protected:
  virtual int GetDefaultArrowButtonLength();
  virtual TRect GetBoundsRect() const;

 private:
  // The rectangle of the arrow at the left of a horizontal bar (or the top
  // of a vertical one), whichever part it is.
  TRect NearArrowRect() const;
  TRect FarArrowRect() const;
  TRect& PartBounds(TcxScrollBarPart APart);

  int FArrowButtonLength;
  TScrollBarKind FKind;
  int FLength;
  TcxScrollBarPart FHotPart;
  int FMinThumbnailSize;
  std::array<TcxScrollBarPartViewInfo*, 5> FPartInfos;
  TcxScrollBarPart FPressedPart;
  TcxScrollBarHelper* FScrollBar;
};

using TcxScrollBarViewInfoClass = rtl::ClassOf<TcxScrollBarViewInfo>;

// ---------------------------------------------------------------------------
// Controller

class TcxScrollBarController : public rtl::TObject {
  RTL_CLASS(TcxScrollBarController, rtl::TObject)

 public:
  virtual void Create(TcxScrollBarHelper* AScrollBar);
  void Destroy() override;

  void MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y);
  void MouseEnter(vcl::TControl* AControl);
  void MouseLeave(vcl::TControl* AControl);
  void MouseMove(vcl::TShiftState AShift, int X, int Y);
  void MouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y);

  // Ends a press as a release over APart would.
  void FinishPress(TcxScrollBarPart APart);
  // One tick of the repeat timer; tests drive it in place of the clock.
  void RepeatTimerHandler(rtl::TObject* Sender);
  TcxTimer* GetTimer() const { return FTimer; }
  TcxScrollBarHelper* GetScrollBar() const { return FScrollBar; }

 protected:
  virtual void DoMouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y);
  virtual void DoMouseEnter(vcl::TControl* AControl);
  virtual void DoMouseLeave(vcl::TControl* AControl);
  virtual void DoMouseMove(vcl::TShiftState AShift, int X, int Y);
  virtual void DoMouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y);
  virtual void SetTrackPosition(int APosition, bool ANotify);

 private:
  TcxScrollBarViewInfo* ViewInfo() const;
  bool IsRepeatPart(TcxScrollBarPart APart) const;
  void BeginThumbDrag(const TPoint& P);
  void DragThumb(const TPoint& P);
  void Hover(vcl::TShiftState AShift, const TPoint& P);
  // The bounds widened by the distance a drag may stray before it snaps
  // back.
  TRect ThumbDragCancelRect() const;

  TPoint FDownMousePos;
  TPoint FLastMousePos;
  int FSavePosition;
  TPoint FSaveThumbnailPos;
  TcxScrollBarHelper* FScrollBar;
  TcxTimer* FTimer;
};

using TcxScrollBarControllerClass = rtl::ClassOf<TcxScrollBarController>;

// ---------------------------------------------------------------------------
// Painter

class TcxScrollBarPainter : public rtl::TObject {
  RTL_CLASS(TcxScrollBarPainter, rtl::TObject)

 public:
  virtual void Create(TcxScrollBarHelper* AScrollBar);
  virtual void DrawPart(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, TcxScrollBarPart APart);
  virtual void DrawBackground(TcxCanvas* ACanvas, const TRect& R);
  virtual void DrawPartWithFading(TcxCanvas* ACanvas, TcxScrollBarPart APart);
  virtual bool IsFadingAvailable();
  virtual int GetMinThumbnailSize();
  virtual bool IsButtonHotTrack();
  virtual void Paint(TcxCanvas* ACanvas);

  TcxScrollBarHelper* GetScrollBar() const { return FScrollBar; }

 private:
  TcxScrollBarHelper* FScrollBar;
};

using TcxScrollBarPainterClass = rtl::ClassOf<TcxScrollBarPainter>;

// ---------------------------------------------------------------------------
// The windowless bar

class TcxScrollBarHelper : public TcxIUnknownObject {
  RTL_CLASS(TcxScrollBarHelper, TcxIUnknownObject)

 public:
  virtual void Create(IcxScrollBarOwner* AOwner);
  void Destroy() override;

  virtual void Calculate();
  // Ends any press as a release with no part under the mouse.
  virtual void CancelMode();
  // Client coordinates of the host window.
  virtual void MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y);
  virtual void MouseEnter(vcl::TControl* AControl);
  virtual void MouseLeave(vcl::TControl* AControl);
  virtual void MouseMove(vcl::TShiftState AShift, int X, int Y);
  virtual void MouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y);
  // Clipped to the visible region; afterwards the bar is excluded from the
  // canvas clip so that the host's later drawing leaves it alone.
  virtual void Paint(TcxCanvas* ACanvas);
  virtual void Paint(HDC ADC);
  virtual void Repaint();

  // The one writer of the range. Raises EInvalidOperation "Scrollbar
  // property out of range" for AMax < AMin or AMax - AMin < APageSize and
  // changes nothing then.
  void SetScrollParams(int AMin, int AMax, int APosition, int APageSize, bool ARedraw = true);
  // One scroll step from APosition (ScrollByCode: from Position).
  void ScrollStep(TScrollCode AScrollCode, int APosition);
  void ScrollByCode(TScrollCode AScrollCode);
  void ScrollByPart(TcxScrollBarPart APart);

  TdxScaleFactor* GetScaleFactor() const;
  TcxLookAndFeel* GetLookAndFeel() const;
  TcxCustomLookAndFeelPainter* GetLookAndFeelPainter() const;
  HWND GetOwnerHandle() const;
  bool IsOwnerHandleAllocated() const;
  bool IsPointInVisibleArea(const TPoint& P) const;
  // The caller owns the region.
  TcxRegion* CreateVisibleRegion() const;
  // Takes ownership of ARgn; the previous region is deleted.
  void AssignVisibleRegion(HRGN ARgn);
  void RedrawNonClient(const TRect& R);
  virtual bool IsRightToLeft();
  // Overridden by the bars a control hosts: scrolling while something is
  // dragged over the bar. A stand-alone bar never does.
  virtual bool CanScrollContentOnDrag() { return false; }
  void InvalidateArea(const TRect& ARect, bool AErase) { DoInvalidateArea(ARect, AErase); }
  void InvalidateBounds() { DoInvalidateBounds(); }
  // Every fading part compares its state with the last one it saw.
  void RefreshFadingStates();
  // The bar, its parts and the host repaint now.
  void InternalPaint(TcxCanvas* ACanvas) { DoInternalPaint(ACanvas); }
  TSize GetDefaultSize() { return DoGetDefaultSize(); }
  bool IsOwnerCapturing() { return DoIsOwnerCapturing(); }
  TPoint ScreenToOwnerClient(const TPoint& APoint) { return DoScreenToOwnerClient(APoint); }
  void Scroll(TScrollCode AScrollCode, int& APosition) { DoScroll(AScrollCode, APosition); }
  void Change() { DoChange(); }

  IcxScrollBarOwner* GetOwner() const { return FOwner; }
  const TRect& GetBoundsRect() const { return FBoundsRect; }
  // A changed rectangle drops the visible region; the caller recalculates.
  void SetBoundsRect(const TRect& AValue);
  TcxScrollBarController* GetController() const { return FController; }
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool AValue);
  bool GetIsNonClient() const { return FIsNonClient; }
  void SetIsNonClient(bool AValue) { FIsNonClient = AValue; }
  TScrollBarKind GetKind() const { return FKind; }
  void SetKind(TScrollBarKind AValue) { FKind = AValue; }
  TScrollBarInc GetLargeChange() const { return FLargeChange; }
  void SetLargeChange(TScrollBarInc AValue) { FLargeChange = AValue; }
  int GetMax() const { return FMax; }
  void SetMax(int AValue) { SetScrollParams(FMin, AValue, FPosition, FPageSize, FVisible); }
  int GetMin() const { return FMin; }
  void SetMin(int AValue) { SetScrollParams(AValue, FMax, FPosition, FPageSize, FVisible); }
  int GetPageSize() const { return FPageSize; }
  void SetPageSize(int AValue) { SetScrollParams(FMin, FMax, FPosition, AValue, FVisible); }
  TcxScrollBarPainter* GetPainter() const { return FPainter; }
  int GetPosition() const { return FPosition; }
  void SetPosition(int AValue) { SetScrollParams(FMin, FMax, AValue, FPageSize, FVisible); }
  TScrollBarInc GetSmallChange() const { return FSmallChange; }
  void SetSmallChange(TScrollBarInc AValue) { FSmallChange = AValue; }
  bool GetUnlimitedTracking() const { return FUnlimitedTracking; }
  void SetUnlimitedTracking(bool AValue) { FUnlimitedTracking = AValue; }
  TcxScrollBarViewInfo* GetViewInfo() const { return FViewInfo; }
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool AValue);
  HRGN GetVisibleRgn() const { return FVisibleRgn; }
  rtl::TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(rtl::TNotifyEvent AValue) { FOnChange = AValue; }
  TScrollEvent GetOnScroll() const { return FOnScroll; }
  void SetOnScroll(TScrollEvent AValue) { FOnScroll = AValue; }

 protected:
  virtual void DoChange();
  virtual void DoInternalPaint(TcxCanvas* ACanvas);
  virtual TcxScrollBarControllerClass GetControllerClass();
  virtual TcxScrollBarPainterClass GetPainterClass();
  virtual TSize DoGetDefaultSize();
  virtual TcxScrollBarViewInfoClass GetViewInfoClass();
  virtual void DoInvalidateBounds();
  virtual void DoInvalidateArea(const TRect& ARect, bool AErase);
  virtual bool DoIsOwnerCapturing();
  virtual bool IsBufferedPaint();
  virtual TPoint DoScreenToOwnerClient(const TPoint& APoint);
  virtual void DoScroll(TScrollCode AScrollCode, int& APosition);

  // Through an off-screen bitmap of the bar's size; nothing when the
  // visible region is set and empty.
  void PaintBuffered(HDC ADC);
  // Stores the position without layout or notification (thumb tracking).
  void SetPositionField(int AValue) { FPosition = AValue; }

 private:
  friend class TcxScrollBarController;

  TRect FBoundsRect;
  TcxScrollBarController* FController;
  bool FEnabled;
  bool FIsNonClient;
  TScrollBarKind FKind;
  TScrollBarInc FLargeChange;
  int FMax;
  int FMin;
  IcxScrollBarOwner* FOwner;
  int FPageSize;
  TcxScrollBarPainter* FPainter;
  int FPosition;
  TScrollBarInc FSmallChange;
  bool FUnlimitedTracking;
  TcxScrollBarViewInfo* FViewInfo;
  bool FVisible;
  HRGN FVisibleRgn;
  rtl::TNotifyEvent FOnChange;
  TScrollEvent FOnScroll;
};

using TcxScrollBarHelperClass = rtl::ClassOf<TcxScrollBarHelper>;

// ---------------------------------------------------------------------------
// The stand-alone windowed scroll bar

class TcxScrollBar : public vcl::TCustomControl,
                     public IdxSkinSupport,
                     public IcxScrollBarOwner,
                     public IdxScaleFactor {
  RTL_CLASS(TcxScrollBar, vcl::TCustomControl)
  RTL_INTERFACES(IdxSkinSupport, IcxScrollBarOwner, IdxScaleFactor)
  RTL_MESSAGES(RTL_MESSAGE(rtl::CM_ENABLEDCHANGED, CMEnabledChanged), RTL_MESSAGE(rtl::CM_VISIBLECHANGED, CMVisibleChanged),
               RTL_MESSAGE(rtl::CM_SYSCOLORCHANGE, CMSysColorChange), RTL_MESSAGE(rtl::CM_MOUSEENTER, CMMouseEnter),
               RTL_MESSAGE(rtl::CM_MOUSELEAVE, CMMouseLeave), RTL_MESSAGE(rtl::CN_HSCROLL, CNScroll),
               RTL_MESSAGE(rtl::CN_VSCROLL, CNScroll), RTL_MESSAGE(rtl::CN_CTLCOLORSCROLLBAR, CNCtlColorScrollBar),
               RTL_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd), RTL_MESSAGE(WM_CANCELMODE, WMCancelMode))

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;

  // Keeps the page size.
  void SetParams(int APosition, int AMin, int AMax);
  void SetScrollParams(int AMin, int AMax, int APosition, int APageSize, bool ARedraw = true);

  TcxScrollBarHelper* GetHelper() const { return FHelper; }
  TScrollBarKind GetKind() const { return FHelper->GetKind(); }
  // At run time a change swaps width and height.
  void SetKind(TScrollBarKind AValue);
  TScrollBarInc GetLargeChange() const { return FHelper->GetLargeChange(); }
  void SetLargeChange(TScrollBarInc AValue) { FHelper->SetLargeChange(AValue); }
  int GetMax() const { return FHelper->GetMax(); }
  void SetMax(int AValue);
  int GetMin() const { return FHelper->GetMin(); }
  void SetMin(int AValue);
  int GetPageSize() const { return FHelper->GetPageSize(); }
  void SetPageSize(int AValue);
  int GetPosition() const { return FHelper->GetPosition(); }
  void SetPosition(int AValue);
  TScrollBarInc GetSmallChange() const { return FHelper->GetSmallChange(); }
  void SetSmallChange(TScrollBarInc AValue) { FHelper->SetSmallChange(AValue); }
  bool GetUnlimitedTracking() const { return FHelper->GetUnlimitedTracking(); }
  void SetUnlimitedTracking(bool AValue) { FHelper->SetUnlimitedTracking(AValue); }
  rtl::TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(rtl::TNotifyEvent AValue) { FOnChange = AValue; }
  TScrollEvent GetOnScroll() const { return FOnScroll; }
  void SetOnScroll(TScrollEvent AValue) { FOnScroll = AValue; }
  rtl::TNotifyEvent GetOnMouseEnter() const { return FOnMouseEnter; }
  void SetOnMouseEnter(rtl::TNotifyEvent AValue) { FOnMouseEnter = AValue; }
  rtl::TNotifyEvent GetOnMouseLeave() const { return FOnMouseLeave; }
  void SetOnMouseLeave(rtl::TNotifyEvent AValue) { FOnMouseLeave = AValue; }

  // IcxScrollBarOwner, IdxScaleFactor
  vcl::TWinControl* __stdcall GetControl() override { return this; }
  TcxLookAndFeel* __stdcall GetLookAndFeel() override { return FLookAndFeel; }
  TdxScaleFactor* __stdcall GetScaleFactor() override { return FScaleFactor; }

  // Draws the bar on ACanvas as it would on its window.
  void PaintTo(TcxCanvas* ACanvas) { PaintOnCanvas(ACanvas); }

 protected:
  virtual void DoChange();
  virtual TSize GetDefaultSize();
  virtual TcxScrollBarHelperClass GetHelperClass();
  virtual void LookAndFeelChanged();
  virtual void PaintOnCanvas(TcxCanvas* ACanvas);
  virtual void DoScroll(TScrollCode AScrollCode, int& APosition);

  void Paint() override;
  void Resize() override;
  void ChangeScale(int M, int D, bool AIsDpiChange) override;
  void MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y) override;
  void MouseMove(vcl::TShiftState AShift, int X, int Y) override;
  void MouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y) override;

  void CMEnabledChanged(rtl::TMessage& AMessage);
  void CMVisibleChanged(rtl::TMessage& AMessage);
  void CMSysColorChange(rtl::TMessage& AMessage);
  void CMMouseEnter(rtl::TMessage& AMessage);
  void CMMouseLeave(rtl::TMessage& AMessage);
  void CNScroll(rtl::TMessage& AMessage);
  void CNCtlColorScrollBar(rtl::TMessage& AMessage);
  void WMEraseBkgnd(rtl::TMessage& AMessage);
  void WMCancelMode(rtl::TMessage& AMessage);

 private:
  void HelperChange(rtl::TObject* Sender);
  void HelperScroll(rtl::TObject* Sender, TScrollCode AScrollCode, int& APosition);
  void LookAndFeelChangeHandler(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues);
  void ThemeChanged(rtl::TObject* Sender);
  // The control named by a CM_MOUSEENTER/CM_MOUSELEAVE, or the bar itself.
  vcl::TControl* MessageControl(const rtl::TMessage& AMessage);

  TcxScrollBarHelper* FHelper;
  TcxLookAndFeel* FLookAndFeel;
  TdxOwnedScaleFactor* FScaleFactor;
  TdxThemeChangedNotificator* FThemeChangedNotificator;
  rtl::TNotifyEvent FOnChange;
  rtl::TNotifyEvent FOnMouseEnter;
  rtl::TNotifyEvent FOnMouseLeave;
  TScrollEvent FOnScroll;
};
