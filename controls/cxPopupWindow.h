// The framework popup form: a borderless, top-most form placed next to an
// owner area (given in the client coordinates of an owner control), sized to
// its child controls plus a frame, flipped to the other side of the owner
// when it would not fit on the monitor, kept inside the monitor's work area,
// and closed when it or the application loses the activation.
#pragma once

#include <windows.h>

#include "controls/dxRightToLeftLayout.h"
#include "core/dxTypeHelpers.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "platform/vcl/Forms.h"

class TcxCanvas;

// TcxPopupAlignHorz comes with its mirroring (dxRightToLeftLayout.h), and
// TcxPopupBorderStyle with the painters that draw popup frames.
RTL_ENUM(TcxPopupAlignVert, pavTop, pavCenter, pavBottom);
RTL_ENUM(TcxPopupDirection, pdHorizontal, pdVertical);

class TcxPopupWindow : public vcl::TCustomForm {
  RTL_CLASS(TcxPopupWindow, vcl::TCustomForm)
  RTL_MESSAGES(RTL_MESSAGE(WM_ACTIVATE, WMActivate), RTL_MESSAGE(WM_ACTIVATEAPP, WMActivateApp),
               RTL_MESSAGE(vcl::CM_VISIBLECHANGED, CMVisibleChanged))

 public:
  // A blank, hidden form without owner.
  virtual void Create();
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;

  // Sizes, places and shows the form.
  virtual void Popup();
  // Hides the form; descendants add their own closing work.
  virtual void CloseUp();

  bool GetAdjustable() const { return FAdjustable; }
  void SetAdjustable(bool AValue);
  TcxPopupAlignHorz GetAlignHorz() const { return FAlignHorz; }
  void SetAlignHorz(TcxPopupAlignHorz AValue) { FAlignHorz = AValue; }
  TcxPopupAlignVert GetAlignVert() const { return FAlignVert; }
  void SetAlignVert(TcxPopupAlignVert AValue) { FAlignVert = AValue; }
  int GetBorderSpace() const { return FBorderSpace; }
  void SetBorderSpace(int AValue);
  // The popup's own frame; the form itself never has a border.
  TcxPopupBorderStyle GetPopupBorderStyle() const { return FBorderStyle; }
  void SetPopupBorderStyle(TcxPopupBorderStyle AValue);
  TcxPopupDirection GetDirection() const { return FDirection; }
  void SetDirection(TcxPopupDirection AValue) { FDirection = AValue; }
  vcl::TColor GetFrameColor() const { return FFrameColor; }
  void SetFrameColor(vcl::TColor AValue) { FFrameColor = AValue; }
  bool GetAcceptAnyPosition() const { return FAcceptAnyPosition; }
  void SetAcceptAnyPosition(bool AValue) { FAcceptAnyPosition = AValue; }
  bool GetIsOwnerBoundsRTLDependent() const { return FIsOwnerBoundsRTLDependent; }
  void SetIsOwnerBoundsRTLDependent(bool AValue) { FIsOwnerBoundsRTLDependent = AValue; }
  const TRect& GetOwnerBounds() const { return FOwnerBounds; }
  void SetOwnerBounds(const TRect& AValue) { FOwnerBounds = AValue; }
  vcl::TControl* GetOwnerParent() const { return FOwnerParent; }
  void SetOwnerParent(vcl::TControl* AValue) { FOwnerParent = AValue; }
  HWND GetPrevActiveWindow() const { return FPrevActiveWindow; }

  // The client rectangle less the frame and the border space.
  virtual TRect GetClientBounds();
  // The owner area in screen coordinates. Without an owner parent the
  // owner bounds are taken as screen coordinates already.
  virtual TRect GetOwnerScreenBounds();

 protected:
  // Placement beside the owner (pdHorizontal) or above or below it
  // (pdVertical); MonitorPoint picks the monitor whose work area is used.
  virtual void CalculateHorizontalDirectionPosition(TPoint& Pos, TPoint& MonitorPoint, const TSize& Size);
  virtual void CalculateVerticalDirectionPosition(TPoint& Pos, TPoint& MonitorPoint, const TSize& Size);
  virtual void CalculateInitialPosition(TPoint& Pos, TPoint& MonitorPoint, const TSize& Size);
  virtual void AdjustableChanged() {}
  virtual void BorderChanged() {}
  virtual void CalculateCenteredPosition(TPoint& Pos, TPoint& MonitorPoint, const TSize& Size);
  virtual void CalculatePosition(const TSize& Size, TPoint& Pos);
  virtual void CalculateSize(TSize& Size);
  // The flip to the other side of the owner, then the fit into the work
  // area.
  virtual void CorrectPosition(TPoint& Pos, const TPoint& MonitorPoint, const TSize& Size);
  virtual void CorrectPositionByWorkArea(TPoint& Pos, const TPoint& MonitorPoint, const TSize& Size);
  // Sides 0 left, 1 top, 2 right, 3 bottom.
  virtual int GetBorderWidth(int ASide);
  virtual int GetFrameWidth(int ASide);
  virtual void InitPopup();
  virtual bool IsOwnerBoundsRelative() { return true; }
  virtual void DrawFrame();
  // The work area of the monitor that contains P; tests place popups
  // against an area of their own.
  virtual TRect GetWorkArea(const TPoint& P);
  // Runs after the framework's visibility change.
  virtual void VisibleChanged() {}
  // Paints the client area; the frame follows.
  virtual void Paint() {}

  void CreateParams(vcl::TCreateParams& AParams) override;
  void Deactivate() override;
  void PaintWindow(HDC ADC) override;

  void WMActivate(vcl::TMessage& AMessage);
  void WMActivateApp(vcl::TMessage& AMessage);
  void CMVisibleChanged(vcl::TMessage& AMessage);

  TcxCanvas* GetcxCanvas() const { return FCanvas; }

 private:
  // Children of an adjustable popup are moved in by the left and top border
  // widths when it is sized; a border change moves them back first.
  void RemoveBorderOffsetFromControls();

  bool FAcceptAnyPosition;
  bool FAdjustable;
  TcxPopupAlignHorz FAlignHorz;
  TcxPopupAlignVert FAlignVert;
  int FBorderSpace;
  TcxPopupBorderStyle FBorderStyle;
  TcxCanvas* FCanvas;
  vcl::TCanvas* FFormCanvas;
  TcxPopupDirection FDirection;
  vcl::TColor FFrameColor;
  bool FIsOwnerBoundsRTLDependent;
  TRect FOwnerBounds;
  vcl::TControl* FOwnerParent;
  HWND FPrevActiveWindow;
  // What CalculateSize moved the children by.
  TPoint FAppliedBorderOffset;
};
