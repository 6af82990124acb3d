#include "lookandfeel/cxScrollBar.h"

#include <algorithm>

#include "core/cxGeometry.h"
#include "core/dxCore.h"
#include "core/dxThemeManager.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "platform/rtl/SysUtils.h"

using enum TcxButtonState;
using enum TcxScrollBarPart;
using enum TScrollBarKind;
using enum TScrollCode;
using enum TcxLookAndFeelStyle;
using enum TcxRegionOperation;

namespace {

// How far a thumb drag may stray from the bar before the thumb snaps back:
// fixed pixels, along and across the bar.
constexpr int cxScrollBarThumbCancelAlong = 34;
constexpr int cxScrollBarThumbCancelAcross = 136;
constexpr unsigned cxScrollBarFirstRepeatInterval = 400;
constexpr unsigned cxScrollBarRepeatInterval = 60;

constexpr TcxScrollBarPart cxScrollBarParts[] = {sbpLineUp, sbpLineDown, sbpThumbnail, sbpPageUp, sbpPageDown};

// Mirrors R within ABounds along the horizontal axis.
TRect MirrorHorizontally(const TRect& R, const TRect& ABounds)
{
  return {ABounds.left + ABounds.right - R.right, R.top, ABounds.left + ABounds.right - R.left, R.bottom};
}

}  // namespace

// ---------------------------------------------------------------------------
// Sizes

TSize cxGetClassicScrollBarSize(const TdxScaleFactor* AScaleFactor)
{
  return {dxGetScaledSystemMetrics(SM_CXVSCROLL, AScaleFactor), dxGetScaledSystemMetrics(SM_CYHSCROLL, AScaleFactor)};
}

TSize cxGetSystemScrollBarSize()
{
  return cxGetClassicScrollBarSize(dxGetSystemScaleFactor());
}

TSize cxGetTouchScrollBarSize(const TdxScaleFactor* AScaleFactor)
{
  const TdxScaleFactor* factor = AScaleFactor ? AScaleFactor : dxGetSystemScaleFactor();
  return factor->Apply(TSize{16, 16});
}

TSize cxGetHybridScrollBarBaseSize(bool AExpanded)
{
  return AExpanded ? TSize{16, 16} : TSize{6, 6};
}

TSize cxGetHybridScrollBarSize(const TdxScaleFactor* AScaleFactor, bool AExpanded)
{
  const TdxScaleFactor* factor = AScaleFactor ? AScaleFactor : dxGetSystemScaleFactor();
  return factor->Apply(cxGetHybridScrollBarBaseSize(AExpanded));
}

// ---------------------------------------------------------------------------
// TcxScrollBarPartFadingHelper

void TcxScrollBarPartFadingHelper::Create(TcxScrollBarPartViewInfo* AOwner)
{
  FOwner = AOwner;
  FState = cxbsNormal;
}

bool __stdcall TcxScrollBarPartFadingHelper::FadingCanFade()
{
  return FOwner->GetOwner()->GetScrollBar()->GetPainter()->IsFadingAvailable();
}

void __stdcall TcxScrollBarPartFadingHelper::FadingRepaint()
{
  FOwner->GetOwner()->GetScrollBar()->InvalidateArea(FOwner->GetBounds(), false);
}

void __stdcall TcxScrollBarPartFadingHelper::FadingGetImages(TcxBitmap32*& AFadeOutImage, TcxBitmap32*& AFadeInImage)
{
  const TRect& bounds = FOwner->GetBounds();
  TcxScrollBarPainter* painter = FOwner->GetOwner()->GetScrollBar()->GetPainter();
  auto draw = [&](TcxButtonState AState) {
    auto* bitmap = rtl::NewWith<TcxBitmap32>([&](TcxBitmap32* B) {
      B->CreateSize(cxRectGetWidth(bounds), cxRectGetHeight(bounds), true);
    });
    bitmap->GetCanvas()->Lock();
    painter->DrawPart(bitmap->GetcxCanvas(), bitmap->GetClientRect(), AState, FOwner->GetPart());
    bitmap->GetCanvas()->Unlock();
    return bitmap;
  };
  AFadeOutImage = draw(cxbsNormal);
  AFadeInImage = draw(cxbsHot);
}

// ---------------------------------------------------------------------------
// TcxScrollBarPartViewInfo

void TcxScrollBarPartViewInfo::Create(TcxScrollBarViewInfo* AOwner, TcxScrollBarPart APart)
{
  inherited::Create();
  FOwner = AOwner;
  FPart = APart;
  FState = cxbsNormal;
  if (APart == sbpLineUp || APart == sbpLineDown || APart == sbpThumbnail)
    FFadingHelper = rtl::New<TcxScrollBarPartFadingHelper>(this);
}

void TcxScrollBarPartViewInfo::Destroy()
{
  rtl::FreeAndNil(FFadingHelper);
  inherited::Destroy();
}

TcxButtonState TcxScrollBarPartViewInfo::GetState() const
{
  TcxScrollBarHelper* bar = FOwner->GetScrollBar();
  if (!bar->GetEnabled())
    return cxbsDisabled;
  if (FPart == sbpThumbnail && !bar->GetPainter()->IsButtonHotTrack())
    return cxbsNormal;
  if (FOwner->GetHotPart() != FPart)
    return cxbsNormal;
  if (FOwner->GetPressedPart() == sbpNone)
    return cxbsHot;
  return FOwner->GetPressedPart() == FPart ? cxbsPressed : cxbsNormal;
}

// ---------------------------------------------------------------------------
// TcxScrollBarViewInfo

void TcxScrollBarViewInfo::Create(TcxScrollBarHelper* AScrollBar)
{
  inherited::Create();
  FScrollBar = AScrollBar;
  for (TcxScrollBarPart part : cxScrollBarParts)
    FPartInfos[part - sbpLineUp] = rtl::New<TcxScrollBarPartViewInfo>(this, part);
}

void TcxScrollBarViewInfo::Destroy()
{
  for (TcxScrollBarPartViewInfo*& info : FPartInfos)
    rtl::FreeAndNil(info);
  inherited::Destroy();
}

int TcxScrollBarViewInfo::GetDefaultArrowButtonLength()
{
  TSize size = FScrollBar->GetDefaultSize();
  return FKind == sbHorizontal ? size.cy : size.cx;
}

TRect TcxScrollBarViewInfo::GetBoundsRect() const
{
  return FScrollBar->GetBoundsRect();
}

TcxScrollBarPartViewInfo* TcxScrollBarViewInfo::GetPartInfo(TcxScrollBarPart APart) const
{
  return APart == sbpNone ? nullptr : FPartInfos[APart - sbpLineUp];
}

TRect& TcxScrollBarViewInfo::PartBounds(TcxScrollBarPart APart)
{
  // The part infos keep their rectangles; the layout writes them in place.
  return const_cast<TRect&>(GetPartInfo(APart)->GetBounds());
}

void TcxScrollBarViewInfo::SetHotPart(TcxScrollBarPart AValue)
{
  if (FHotPart != AValue)
    FHotPart = AValue;
}

void TcxScrollBarViewInfo::SetPressedPart(TcxScrollBarPart AValue)
{
  if (FPressedPart != AValue)
    FPressedPart = AValue;
}

void TcxScrollBarViewInfo::Calculate()
{
  FKind = FScrollBar->GetKind();
  FMinThumbnailSize = FScrollBar->GetPainter()->GetMinThumbnailSize();
  TRect bounds = GetBounds();
  FLength = FKind == sbVertical ? cxRectGetHeight(bounds) : cxRectGetWidth(bounds);
  // Square at the default thickness; half the bar each in a short bar.
  FArrowButtonLength = std::min(FLength / 2, GetDefaultArrowButtonLength());
  if (FKind == sbVertical) {
    TRect up{bounds.left, bounds.top, bounds.right, bounds.top + FArrowButtonLength};
    PartBounds(sbpLineUp) = up;
    PartBounds(sbpLineDown) = cxRectOffsetBy(up, 0, FLength - FArrowButtonLength);
  } else {
    TRect left{bounds.left, bounds.top, bounds.left + FArrowButtonLength, bounds.bottom};
    TRect right = cxRectOffsetBy(left, FLength - FArrowButtonLength, 0);
    bool rtl = FScrollBar->IsRightToLeft();
    PartBounds(sbpLineUp) = rtl ? right : left;
    PartBounds(sbpLineDown) = rtl ? left : right;
  }
  CalculateThumbnailRect();
}

TRect TcxScrollBarViewInfo::NearArrowRect() const
{
  bool swapped = FKind == sbHorizontal && FScrollBar->IsRightToLeft();
  return GetPartInfo(swapped ? sbpLineDown : sbpLineUp)->GetBounds();
}

TRect TcxScrollBarViewInfo::FarArrowRect() const
{
  bool swapped = FKind == sbHorizontal && FScrollBar->IsRightToLeft();
  return GetPartInfo(swapped ? sbpLineUp : sbpLineDown)->GetBounds();
}

void TcxScrollBarViewInfo::CalculateThumbnailRect()
{
  PartBounds(sbpThumbnail) = cxNullRect;
  AdjustPageRects();
  if (!FScrollBar->GetEnabled())
    return;
  int track = FLength - 2 * FArrowButtonLength;
  int range = FScrollBar->GetMax() - FScrollBar->GetMin();
  int offset = FScrollBar->GetPosition() - FScrollBar->GetMin();
  int thumb;
  int thumbOffset;
  if (FScrollBar->GetPageSize() == 0) {
    thumb = dxGetScaledSystemMetrics(FKind == sbHorizontal ? SM_CXHTHUMB : SM_CYVTHUMB, FScrollBar->GetScaleFactor());
    if (track < thumb)
      return;
    thumbOffset = track == thumb || range == 0 ? 0 : MulDiv(track - thumb, offset, range);
  } else {
    if (track < FMinThumbnailSize || range == 0)
      return;
    int proportional = std::min(track, MulDiv(FScrollBar->GetPageSize(), track, range + 1));
    thumb = std::max(proportional, FMinThumbnailSize);
    int free = range + 1 - FScrollBar->GetPageSize();
    thumbOffset = MulDiv(track - thumb, std::min(offset, free), free);
  }
  TRect bounds = GetBounds();
  TRect nearArrow = NearArrowRect();
  if (FKind == sbVertical) {
    int top = nearArrow.bottom + thumbOffset;
    PartBounds(sbpThumbnail) = {bounds.left, top, bounds.right, top + thumb};
  } else {
    int left = nearArrow.right + thumbOffset;
    TRect r{left, bounds.top, left + thumb, bounds.bottom};
    // A right-to-left bar counts its position from the right.
    if (FScrollBar->IsRightToLeft())
      r = MirrorHorizontally(r, bounds);
    PartBounds(sbpThumbnail) = r;
  }
  AdjustPageRects();
}

void TcxScrollBarViewInfo::AdjustPageRects()
{
  TRect thumb = GetThumbnailRect();
  if (cxRectHasNoArea(thumb)) {
    PartBounds(sbpPageUp) = cxNullRect;
    PartBounds(sbpPageDown) = cxNullRect;
    return;
  }
  TRect bounds = GetBounds();
  TRect nearArrow = NearArrowRect();
  TRect farArrow = FarArrowRect();
  if (FKind == sbVertical) {
    PartBounds(sbpPageUp) = {bounds.left, nearArrow.bottom, bounds.right, thumb.top};
    PartBounds(sbpPageDown) = {bounds.left, thumb.bottom, bounds.right, farArrow.top};
  } else {
    TRect left{nearArrow.right, bounds.top, thumb.left, bounds.bottom};
    TRect right{thumb.right, bounds.top, farArrow.left, bounds.bottom};
    bool rtl = FScrollBar->IsRightToLeft();
    PartBounds(sbpPageUp) = rtl ? right : left;
    PartBounds(sbpPageDown) = rtl ? left : right;
  }
}

void TcxScrollBarViewInfo::SetThumbnailPos(int APos)
{
  TRect thumb = GetThumbnailRect();
  PartBounds(sbpThumbnail) = FKind == sbVertical ? cxRectMoveToTop(thumb, APos) : cxRectMoveToLeft(thumb, APos);
  AdjustPageRects();
}

TcxScrollBarPart TcxScrollBarViewInfo::GetPartAtPos(const TPoint& P) const
{
  for (TcxScrollBarPart part : cxScrollBarParts)
    if (cxRectContainsPoint(GetPartInfo(part)->GetBounds(), P))
      return part;
  return sbpNone;
}

int TcxScrollBarViewInfo::CalculatePositionFromThumbnail() const
{
  int range = FScrollBar->GetMax() - FScrollBar->GetMin();
  if (FScrollBar->GetPageSize() > 0)
    range += 1 - FScrollBar->GetPageSize();
  TRect thumb = GetThumbnailRect();
  TRect nearArrow = NearArrowRect();
  TRect farArrow = FarArrowRect();
  int offset;
  int freeTrack;
  if (FKind == sbVertical) {
    offset = thumb.top - nearArrow.bottom;
    freeTrack = farArrow.top - nearArrow.bottom - cxRectGetHeight(thumb);
  } else {
    freeTrack = farArrow.left - nearArrow.right - cxRectGetWidth(thumb);
    offset = FScrollBar->IsRightToLeft() ? GetPartInfo(sbpLineUp)->GetBounds().left - thumb.right
                                         : thumb.left - nearArrow.right;
  }
  // A thumb that fills the whole free track cannot move: it stands for Min.
  if (freeTrack <= 0)
    return FScrollBar->GetMin();
  return FScrollBar->GetMin() + MulDiv(range, offset, freeTrack);
}

// ---------------------------------------------------------------------------
// TcxScrollBarController

void TcxScrollBarController::Create(TcxScrollBarHelper* AScrollBar)
{
  inherited::Create();
  FScrollBar = AScrollBar;
  FTimer = cxNewTimer(cxScrollBarFirstRepeatInterval, false,
                      rtl::TNotifyEvent::Bind<&TcxScrollBarController::RepeatTimerHandler>(this));
}

void TcxScrollBarController::Destroy()
{
  rtl::FreeAndNil(FTimer);
  inherited::Destroy();
}

TcxScrollBarViewInfo* TcxScrollBarController::ViewInfo() const
{
  return FScrollBar->GetViewInfo();
}

bool TcxScrollBarController::IsRepeatPart(TcxScrollBarPart APart) const
{
  return APart == sbpLineUp || APart == sbpLineDown || APart == sbpPageUp || APart == sbpPageDown;
}

void TcxScrollBarController::MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  DoMouseDown(AButton, AShift, X, Y);
}

void TcxScrollBarController::MouseEnter(vcl::TControl* AControl)
{
  DoMouseEnter(AControl);
}

void TcxScrollBarController::MouseLeave(vcl::TControl* AControl)
{
  DoMouseLeave(AControl);
}

void TcxScrollBarController::MouseMove(vcl::TShiftState AShift, int X, int Y)
{
  DoMouseMove(AShift, X, Y);
}

void TcxScrollBarController::MouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  DoMouseUp(AButton, AShift, X, Y);
}

void TcxScrollBarController::DoMouseDown(vcl::TMouseButton AButton, vcl::TShiftState /*AShift*/, int X, int Y)
{
  if (AButton != vcl::TMouseButton::mbLeft)
    return;
  TPoint p{X, Y};
  TcxScrollBarPart part = ViewInfo()->GetPartAtPos(p);
  if (part == sbpNone)
    return;
  if (part == sbpThumbnail) {
    BeginThumbDrag(p);
    return;
  }
  ViewInfo()->SetPressedPart(part);
  ViewInfo()->SetHotPart(part);
  rtl::TFreeWatch watch(FScrollBar);
  FScrollBar->ScrollByPart(part);
  if (watch.Freed())
    return;
  FTimer->SetInterval(cxScrollBarFirstRepeatInterval);
  FTimer->SetEnabled(true);
  FScrollBar->RefreshFadingStates();
  FScrollBar->Repaint();
}

void TcxScrollBarController::BeginThumbDrag(const TPoint& P)
{
  FDownMousePos = P;
  FLastMousePos = P;
  FSavePosition = FScrollBar->GetPosition();
  TRect thumb = ViewInfo()->GetThumbnailRect();
  FSaveThumbnailPos = {thumb.left, thumb.top};
  rtl::TFreeWatch watch(FScrollBar);
  FScrollBar->ScrollByCode(scTrack);
  if (watch.Freed())
    return;
  ViewInfo()->SetPressedPart(sbpThumbnail);
  ViewInfo()->SetHotPart(sbpThumbnail);
  FScrollBar->RefreshFadingStates();
  FScrollBar->Repaint();
}

void TcxScrollBarController::DoMouseEnter(vcl::TControl* /*AControl*/)
{
  FScrollBar->RefreshFadingStates();
  if (FScrollBar->GetPainter()->IsButtonHotTrack() || IsRepeatPart(ViewInfo()->GetPressedPart()))
    FScrollBar->Repaint();
}

void TcxScrollBarController::DoMouseLeave(vcl::TControl* /*AControl*/)
{
  if (ViewInfo()->GetPressedPart() != sbpThumbnail) {
    ViewInfo()->SetHotPart(sbpNone);
    if (FScrollBar->GetPainter()->IsButtonHotTrack() || IsRepeatPart(ViewInfo()->GetPressedPart()))
      FScrollBar->InvalidateBounds();
  }
  FScrollBar->RefreshFadingStates();
}

void TcxScrollBarController::DoMouseMove(vcl::TShiftState AShift, int X, int Y)
{
  TPoint p{X, Y};
  TcxScrollBarPart pressed = ViewInfo()->GetPressedPart();
  if (pressed == sbpThumbnail) {
    DragThumb(p);
    return;
  }
  if (IsRepeatPart(pressed))
    // Leaving the pressed part pauses the repeat, returning resumes it.
    FTimer->SetEnabled(ViewInfo()->GetPartAtPos(p) == pressed);
  Hover(AShift, p);
}

void TcxScrollBarController::Hover(vcl::TShiftState AShift, const TPoint& P)
{
  TcxScrollBarPart part = ViewInfo()->GetPartAtPos(P);
  if (part != ViewInfo()->GetHotPart()) {
    ViewInfo()->SetHotPart(part);
    FScrollBar->RefreshFadingStates();
    if (FScrollBar->GetPainter()->IsButtonHotTrack())
      FScrollBar->Repaint();
  }
  if (ViewInfo()->GetPressedPart() != sbpNone || !AShift.Contains(vcl::TShiftStateItem::ssLeft) || !FScrollBar->CanScrollContentOnDrag())
    return;
  // Something is dragged over the bar: scroll toward the part under it.
  if (part == sbpLineUp || part == sbpPageUp)
    FScrollBar->ScrollByPart(sbpLineUp);
  else if (part == sbpLineDown || part == sbpPageDown)
    FScrollBar->ScrollByPart(sbpLineDown);
}

TRect TcxScrollBarController::ThumbDragCancelRect() const
{
  TRect bounds = FScrollBar->GetBoundsRect();
  if (FScrollBar->GetKind() == sbVertical)
    return cxRectInflateXY(bounds, cxScrollBarThumbCancelAcross, cxScrollBarThumbCancelAlong);
  return cxRectInflateXY(bounds, cxScrollBarThumbCancelAlong, cxScrollBarThumbCancelAcross);
}

void TcxScrollBarController::DragThumb(const TPoint& P)
{
  if (!FScrollBar->GetUnlimitedTracking() && !cxRectContainsPoint(ThumbDragCancelRect(), P)) {
    if (FScrollBar->GetPosition() != FSavePosition)
      SetTrackPosition(FSavePosition, true);
    return;
  }
  bool vertical = FScrollBar->GetKind() == sbVertical;
  int coordinate = vertical ? P.y : P.x;
  int downCoordinate = vertical ? FDownMousePos.y : FDownMousePos.x;
  int lastCoordinate = vertical ? FLastMousePos.y : FLastMousePos.x;
  if (coordinate == downCoordinate || coordinate == lastCoordinate)
    return;
  FLastMousePos = P;

  TcxScrollBarViewInfo* viewInfo = ViewInfo();
  TRect thumb = viewInfo->GetThumbnailRect();
  bool rtl = !vertical && FScrollBar->IsRightToLeft();
  TRect nearArrow = viewInfo->GetPartInfo(rtl ? sbpLineDown : sbpLineUp)->GetBounds();
  TRect farArrow = viewInfo->GetPartInfo(rtl ? sbpLineUp : sbpLineDown)->GetBounds();
  int savedStart = vertical ? FSaveThumbnailPos.y : FSaveThumbnailPos.x;
  int thumbLength = vertical ? cxRectGetHeight(thumb) : cxRectGetWidth(thumb);
  int lowest = (vertical ? nearArrow.bottom : nearArrow.right) - savedStart;
  int highest = (vertical ? farArrow.top : farArrow.left) - savedStart - thumbLength;
  int delta = std::clamp(coordinate - downCoordinate, lowest, std::max(lowest, highest));
  viewInfo->SetThumbnailPos(savedStart + delta);
  FScrollBar->Repaint();

  int position = viewInfo->CalculatePositionFromThumbnail();
  if (position != FScrollBar->GetPosition()) {
    rtl::TFreeWatch watch(FScrollBar);
    SetTrackPosition(position, false);
    if (!watch.Freed())
      FScrollBar->Change();
  }
}

void TcxScrollBarController::SetTrackPosition(int APosition, bool ANotify)
{
  rtl::TFreeWatch watch(FScrollBar);
  if (ANotify)
    FScrollBar->SetPosition(APosition);
  else
    FScrollBar->SetPositionField(APosition);
  if (!watch.Freed())
    FScrollBar->ScrollByCode(scTrack);
}

void TcxScrollBarController::DoMouseUp(vcl::TMouseButton /*AButton*/, vcl::TShiftState /*AShift*/, int X, int Y)
{
  rtl::TFreeWatch watch(FScrollBar);
  FinishPress(ViewInfo()->GetPartAtPos({X, Y}));
  if (!watch.Freed())
    FScrollBar->RefreshFadingStates();
}

void TcxScrollBarController::FinishPress(TcxScrollBarPart APart)
{
  ViewInfo()->SetHotPart(APart);
  TcxScrollBarPart pressed = ViewInfo()->GetPressedPart();
  if (pressed == sbpNone)
    return;
  FTimer->SetEnabled(false);
  ViewInfo()->SetPressedPart(sbpNone);
  rtl::TFreeWatch watch(FScrollBar);
  if (pressed == sbpThumbnail) {
    FScrollBar->SetPositionField(ViewInfo()->CalculatePositionFromThumbnail());
    FScrollBar->ScrollByCode(scPosition);
    if (watch.Freed())
      return;
  }
  FScrollBar->ScrollByCode(scEndScroll);
  if (watch.Freed())
    return;
  ViewInfo()->CalculateThumbnailRect();
  FScrollBar->RefreshFadingStates();
  FScrollBar->InvalidateBounds();
}

void TcxScrollBarController::RepeatTimerHandler(rtl::TObject* /*Sender*/)
{
  FTimer->SetEnabled(false);
  TcxScrollBarPart pressed = ViewInfo()->GetPressedPart();
  if (!FScrollBar->IsOwnerCapturing() || !IsRepeatPart(pressed)) {
    FinishPress(sbpNone);
    return;
  }
  if (FTimer->GetInterval() == cxScrollBarFirstRepeatInterval)
    FTimer->SetInterval(cxScrollBarRepeatInterval);
  rtl::TFreeWatch watch(FScrollBar);
  FScrollBar->ScrollByPart(pressed);
  if (watch.Freed())
    return;
  POINT cursor{};
  GetCursorPos(&cursor);
  // The page area shrinks as the thumb comes: page repeats stop at the
  // cursor.
  if (ViewInfo()->GetPartAtPos(FScrollBar->ScreenToOwnerClient(cursor)) == pressed)
    FTimer->SetEnabled(true);
}

// ---------------------------------------------------------------------------
// TcxScrollBarPainter

void TcxScrollBarPainter::Create(TcxScrollBarHelper* AScrollBar)
{
  inherited::Create();
  FScrollBar = AScrollBar;
}

void TcxScrollBarPainter::DrawPart(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, TcxScrollBarPart APart)
{
  TcxCustomLookAndFeelPainter* painter = FScrollBar->GetLookAndFeelPainter();
  if (!painter)
    return;
  ACanvas->SaveState();
  ACanvas->SetUseRightToLeftAlignment(FScrollBar->IsRightToLeft());
  painter->DrawScaledScrollBarPart(ACanvas, FScrollBar->GetKind() == sbHorizontal, R, APart, AState,
                                   FScrollBar->GetScaleFactor());
  ACanvas->RestoreState();
}

void TcxScrollBarPainter::DrawBackground(TcxCanvas* ACanvas, const TRect& R)
{
  TcxCustomLookAndFeelPainter* painter = FScrollBar->GetLookAndFeelPainter();
  if (!painter)
    return;
  ACanvas->SaveState();
  ACanvas->SetUseRightToLeftAlignment(FScrollBar->IsRightToLeft());
  painter->DrawScaledScrollBarBackground(ACanvas, R, FScrollBar->GetKind() == sbHorizontal,
                                         FScrollBar->GetScaleFactor());
  ACanvas->RestoreState();
}

void TcxScrollBarPainter::DrawPartWithFading(TcxCanvas* ACanvas, TcxScrollBarPart APart)
{
  TcxScrollBarPartViewInfo* info = FScrollBar->GetViewInfo()->GetPartInfo(APart);
  if (cxRectHasNoArea(info->GetBounds()))
    return;
  TcxScrollBarPartFadingHelper* fading = info->GetFadingHelper();
  if (fading && fading->DrawImage(ACanvas->GetHandle(), info->GetBounds()))
    return;
  DrawPart(ACanvas, info->GetBounds(), info->GetState(), APart);
}

bool TcxScrollBarPainter::IsFadingAvailable()
{
  TcxCustomLookAndFeelPainter* painter = FScrollBar->GetLookAndFeelPainter();
  if (!painter || !IsButtonHotTrack())
    return false;
  TcxLookAndFeelStyle style = painter->LookAndFeelStyle();
  return style == lfsNative || style == lfsSkin;
}

int TcxScrollBarPainter::GetMinThumbnailSize()
{
  TcxCustomLookAndFeelPainter* painter = FScrollBar->GetLookAndFeelPainter();
  return painter ? painter->ScaledScrollBarMinimalThumbSize(FScrollBar->GetKind() == sbVertical,
                                                            FScrollBar->GetScaleFactor())
                 : 0;
}

bool TcxScrollBarPainter::IsButtonHotTrack()
{
  TcxCustomLookAndFeelPainter* painter = FScrollBar->GetLookAndFeelPainter();
  return painter && painter->IsButtonHotTrack();
}

void TcxScrollBarPainter::Paint(TcxCanvas* ACanvas)
{
  DrawBackground(ACanvas, FScrollBar->GetBoundsRect());
  for (TcxScrollBarPart part : cxScrollBarParts)
    DrawPartWithFading(ACanvas, part);
}

// ---------------------------------------------------------------------------
// TcxScrollBarHelper

void TcxScrollBarHelper::Create(IcxScrollBarOwner* AOwner)
{
  inherited::Create();
  FOwner = AOwner;
  FViewInfo = GetViewInfoClass().Create(this);
  FController = GetControllerClass().Create(this);
  FPainter = GetPainterClass().Create(this);
  FBoundsRect = {0, 0, 120, GetDefaultSize().cy};
  FKind = sbHorizontal;
  FEnabled = true;
  FPosition = 0;
  FMin = 0;
  FMax = 100;
  FSmallChange = 1;
  FLargeChange = 1;
}

void TcxScrollBarHelper::Destroy()
{
  AssignVisibleRegion(nullptr);
  rtl::FreeAndNil(FPainter);
  rtl::FreeAndNil(FController);
  rtl::FreeAndNil(FViewInfo);
  inherited::Destroy();
}

TcxScrollBarControllerClass TcxScrollBarHelper::GetControllerClass()
{
  return TcxScrollBarControllerClass::Of<TcxScrollBarController>();
}

TcxScrollBarPainterClass TcxScrollBarHelper::GetPainterClass()
{
  return TcxScrollBarPainterClass::Of<TcxScrollBarPainter>();
}

TcxScrollBarViewInfoClass TcxScrollBarHelper::GetViewInfoClass()
{
  return TcxScrollBarViewInfoClass::Of<TcxScrollBarViewInfo>();
}

TSize TcxScrollBarHelper::DoGetDefaultSize()
{
  return cxGetClassicScrollBarSize(GetScaleFactor());
}

TdxScaleFactor* TcxScrollBarHelper::GetScaleFactor() const
{
  return FOwner->GetScaleFactor();
}

TcxLookAndFeel* TcxScrollBarHelper::GetLookAndFeel() const
{
  return FOwner->GetLookAndFeel();
}

TcxCustomLookAndFeelPainter* TcxScrollBarHelper::GetLookAndFeelPainter() const
{
  TcxLookAndFeel* lookAndFeel = GetLookAndFeel();
  return lookAndFeel ? lookAndFeel->GetAvailablePainter(TdxThemedObjectType::totScrollBar) : nullptr;
}

HWND TcxScrollBarHelper::GetOwnerHandle() const
{
  vcl::TWinControl* control = FOwner->GetControl();
  return control ? control->GetHandle() : nullptr;
}

bool TcxScrollBarHelper::IsOwnerHandleAllocated() const
{
  vcl::TWinControl* control = FOwner->GetControl();
  return control && control->HandleAllocated();
}

void TcxScrollBarHelper::DoChange()
{
  if (FOnChange)
    FOnChange(this);
}

void TcxScrollBarHelper::DoScroll(TScrollCode AScrollCode, int& APosition)
{
  if (FOnScroll)
    FOnScroll(this, AScrollCode, APosition);
}

void TcxScrollBarHelper::DoInternalPaint(TcxCanvas* ACanvas)
{
  FPainter->Paint(ACanvas);
}

void TcxScrollBarHelper::DoInvalidateBounds()
{
  InvalidateArea(FBoundsRect, false);
}

void TcxScrollBarHelper::DoInvalidateArea(const TRect& ARect, bool AErase)
{
  if (!IsOwnerHandleAllocated())
    return;
  if (FIsNonClient)
    RedrawNonClient(ARect);
  else
    InvalidateRect(GetOwnerHandle(), &ARect, AErase);
}

void TcxScrollBarHelper::RedrawNonClient(const TRect& R)
{
  RedrawWindow(GetOwnerHandle(), &R, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

bool TcxScrollBarHelper::DoIsOwnerCapturing()
{
  return IsOwnerHandleAllocated() && GetCapture() == GetOwnerHandle();
}

bool TcxScrollBarHelper::IsRightToLeft()
{
  vcl::TWinControl* control = FOwner->GetControl();
  if (!control)
    return false;
  // A vertical bar goes to the left in a right-to-left control, but its
  // arrows keep their places.
  return FKind == sbHorizontal && control->UseRightToLeftAlignment();
}

bool TcxScrollBarHelper::IsBufferedPaint()
{
  // Only systems before Vista flicker without a buffer.
  return !dxOSIsWindowsVistaOrLater;
}

TPoint TcxScrollBarHelper::DoScreenToOwnerClient(const TPoint& APoint)
{
  vcl::TWinControl* control = FOwner->GetControl();
  return control ? control->ScreenToClient(APoint) : APoint;
}

void TcxScrollBarHelper::SetBoundsRect(const TRect& AValue)
{
  if (cxRectsEqual(FBoundsRect, AValue))
    return;
  FBoundsRect = AValue;
  AssignVisibleRegion(nullptr);
}

void TcxScrollBarHelper::SetEnabled(bool AValue)
{
  if (FEnabled == AValue)
    return;
  FEnabled = AValue;
  if (!AValue)
    CancelMode();
}

void TcxScrollBarHelper::SetVisible(bool AValue)
{
  if (FVisible == AValue)
    return;
  FVisible = AValue;
  if (!AValue)
    CancelMode();
}

void TcxScrollBarHelper::AssignVisibleRegion(HRGN ARgn)
{
  if (FVisibleRgn)
    DeleteObject(FVisibleRgn);
  FVisibleRgn = ARgn;
}

bool TcxScrollBarHelper::IsPointInVisibleArea(const TPoint& P) const
{
  return FVisibleRgn ? PtInRegion(FVisibleRgn, P.x, P.y) != 0 : cxRectContainsPoint(FBoundsRect, P);
}

TcxRegion* TcxScrollBarHelper::CreateVisibleRegion() const
{
  auto* region = rtl::New<TcxRegion>(FBoundsRect);
  if (FVisibleRgn)
    region->Combine(FVisibleRgn, roSet);
  return region;
}

void TcxScrollBarHelper::Calculate()
{
  FViewInfo->Calculate();
}

void TcxScrollBarHelper::CancelMode()
{
  FController->FinishPress(sbpNone);
}

void TcxScrollBarHelper::MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  FController->MouseDown(AButton, AShift, X, Y);
}

void TcxScrollBarHelper::MouseEnter(vcl::TControl* AControl)
{
  FController->MouseEnter(AControl);
}

void TcxScrollBarHelper::MouseLeave(vcl::TControl* AControl)
{
  FController->MouseLeave(AControl);
}

void TcxScrollBarHelper::MouseMove(vcl::TShiftState AShift, int X, int Y)
{
  FController->MouseMove(AShift, X, Y);
}

void TcxScrollBarHelper::MouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  FController->MouseUp(AButton, AShift, X, Y);
}

void TcxScrollBarHelper::Repaint()
{
  if (!IsOwnerHandleAllocated())
    return;
  if (FIsNonClient) {
    RedrawNonClient(FBoundsRect);
    return;
  }
  InvalidateBounds();
  FOwner->GetControl()->Update();
}

void TcxScrollBarHelper::Paint(TcxCanvas* ACanvas)
{
  rtl::TOwnedPtr<TcxRegion> region(CreateVisibleRegion());
  ACanvas->SaveClipRegion();
  ACanvas->SetClipRegion(region.get(), roIntersect, false);
  if (IsBufferedPaint())
    PaintBuffered(ACanvas->GetHandle());
  else
    InternalPaint(ACanvas);
  ACanvas->RestoreClipRegion();
  ACanvas->SetClipRegion(region.release(), roSubtract);
}

void TcxScrollBarHelper::Paint(HDC ADC)
{
  TcxPaintCanvas* canvas = cxPaintCanvas();
  if (!canvas)
    return;
  canvas->BeginPaint(ADC);
  try {
    canvas->SetClipRegion(CreateVisibleRegion(), roIntersect);
    PaintBuffered(canvas->GetHandle());
  } catch (...) {
    canvas->EndPaint();
    throw;
  }
  canvas->EndPaint();
}

void TcxScrollBarHelper::PaintBuffered(HDC ADC)
{
  if (FVisibleRgn) {
    RECT box;
    if (GetRgnBox(FVisibleRgn, &box) == NULLREGION)
      return;
  }
  rtl::TOwnedPtr<TcxBitmap> bitmap(rtl::NewWith<TcxBitmap>([&](TcxBitmap* B) { B->CreateSize(FBoundsRect); }));
  TcxCanvas* canvas = bitmap->GetcxCanvas();
  canvas->SetWindowOrg({FBoundsRect.left, FBoundsRect.top});
  InternalPaint(canvas);
  canvas->SetWindowOrg({0, 0});
  BitBlt(ADC, FBoundsRect.left, FBoundsRect.top, cxRectGetWidth(FBoundsRect), cxRectGetHeight(FBoundsRect),
         canvas->GetHandle(), 0, 0, SRCCOPY);
}

void TcxScrollBarHelper::RefreshFadingStates()
{
  for (TcxScrollBarPart part : cxScrollBarParts) {
    TcxScrollBarPartViewInfo* info = FViewInfo->GetPartInfo(part);
    TcxScrollBarPartFadingHelper* fading = info->GetFadingHelper();
    if (!fading)
      continue;
    TcxButtonState state = info->GetState();
    if (state != fading->GetState()) {
      fading->CheckStartFading(fading->GetState(), state);
      fading->SetState(state);
    }
  }
}

void TcxScrollBarHelper::SetScrollParams(int AMin, int AMax, int APosition, int APageSize, bool ARedraw)
{
  if (AMax < AMin || AMax - AMin < APageSize)
    throw rtl::EInvalidOperation(L"Scrollbar property out of range");
  APosition = std::clamp(APosition, AMin, AMax);
  if (FMin == AMin && FMax == AMax && FPageSize == APageSize && FPosition == APosition)
    ARedraw = false;
  else {
    FMin = AMin;
    FMax = AMax;
    FPageSize = APageSize;
  }
  bool positionChanged = FPosition != APosition;
  FPosition = APosition;
  FViewInfo->CalculateThumbnailRect();
  RefreshFadingStates();
  if (ARedraw && IsOwnerHandleAllocated()) {
    rtl::TFreeWatch watch(this);
    Repaint();
    if (watch.Freed())
      return;
  }
  if (positionChanged)
    DoChange();
}

void TcxScrollBarHelper::ScrollStep(TScrollCode AScrollCode, int APosition)
{
  int position = APosition;
  switch (AScrollCode) {
    case scLineUp: position -= FSmallChange; break;
    case scLineDown: position += FSmallChange; break;
    case scPageUp: position -= FLargeChange; break;
    case scPageDown: position += FLargeChange; break;
    case scTop: position = FMin; break;
    case scBottom: position = FMax; break;
    default: break;
  }
  position = std::clamp(position, FMin, FMax);
  rtl::TFreeWatch watch(this);
  DoScroll(AScrollCode, position);
  if (watch.Freed())
    return;
  position = std::clamp(position, FMin, FMax);
  if (position == FPosition)
    return;
  if (AScrollCode == scTrack) {
    FPosition = position;
    Repaint();
  } else {
    SetPosition(position);
  }
}

void TcxScrollBarHelper::ScrollByCode(TScrollCode AScrollCode)
{
  ScrollStep(AScrollCode, FPosition);
}

void TcxScrollBarHelper::ScrollByPart(TcxScrollBarPart APart)
{
  switch (APart) {
    case sbpLineUp: ScrollByCode(scLineUp); break;
    case sbpLineDown: ScrollByCode(scLineDown); break;
    case sbpThumbnail: ScrollByCode(scTrack); break;
    case sbpPageUp: ScrollByCode(scPageUp); break;
    case sbpPageDown: ScrollByCode(scPageDown); break;
    default: break;
  }
}

// ---------------------------------------------------------------------------
// TcxScrollBar

void TcxScrollBar::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FLookAndFeel = rtl::New<TcxLookAndFeel>(this);
  FLookAndFeel->SetOnChanged(TcxLookAndFeelChangedEvent::Bind<&TcxScrollBar::LookAndFeelChangeHandler>(this));
  FScaleFactor = rtl::New<TdxOwnedScaleFactor>();
  FScaleFactor->SetUseOwnerValue(false);
  FHelper = GetHelperClass().Create(static_cast<IcxScrollBarOwner*>(this));
  FHelper->SetOnScroll(TScrollEvent::Bind<&TcxScrollBar::HelperScroll>(this));
  FHelper->SetOnChange(rtl::TNotifyEvent::Bind<&TcxScrollBar::HelperChange>(this));
  SetWidth(121);
  SetControlStyle({vcl::TControlStyleItem::csCaptureMouse, vcl::TControlStyleItem::csFramed, vcl::TControlStyleItem::csOpaque});
  SetHeight(GetDefaultSize().cy);
  FThemeChangedNotificator = rtl::New<TdxThemeChangedNotificator>();
  FThemeChangedNotificator->SetOnThemeChanged(rtl::TNotifyEvent::Bind<&TcxScrollBar::ThemeChanged>(this));
  FHelper->SetBoundsRect(GetClientRect());
  FHelper->Calculate();
}

void TcxScrollBar::Destroy()
{
  rtl::FreeAndNil(FThemeChangedNotificator);
  rtl::FreeAndNil(FHelper);
  rtl::FreeAndNil(FScaleFactor);
  rtl::FreeAndNil(FLookAndFeel);
  inherited::Destroy();
}

TSize TcxScrollBar::GetDefaultSize()
{
  return cxGetClassicScrollBarSize(FScaleFactor);
}

TcxScrollBarHelperClass TcxScrollBar::GetHelperClass()
{
  return TcxScrollBarHelperClass::Of<TcxScrollBarHelper>();
}

void TcxScrollBar::SetParams(int APosition, int AMin, int AMax)
{
  SetScrollParams(AMin, AMax, APosition, GetPageSize(), true);
}

void TcxScrollBar::SetScrollParams(int AMin, int AMax, int APosition, int APageSize, bool ARedraw)
{
  FHelper->SetScrollParams(AMin, AMax, APosition, APageSize, ARedraw);
}

void TcxScrollBar::SetMax(int AValue)
{
  SetScrollParams(GetMin(), AValue, GetPosition(), GetPageSize(), true);
}

void TcxScrollBar::SetMin(int AValue)
{
  SetScrollParams(AValue, GetMax(), GetPosition(), GetPageSize(), true);
}

void TcxScrollBar::SetPageSize(int AValue)
{
  SetScrollParams(GetMin(), GetMax(), GetPosition(), AValue, true);
}

void TcxScrollBar::SetPosition(int AValue)
{
  SetScrollParams(GetMin(), GetMax(), AValue, GetPageSize(), true);
}

void TcxScrollBar::SetKind(TScrollBarKind AValue)
{
  if (GetKind() == AValue)
    return;
  FHelper->SetKind(AValue);
  if (GetComponentState().Contains(rtl::TComponentStateFlag::csLoading))
    FHelper->Calculate();
  else
    SetBounds(GetLeft(), GetTop(), GetHeight(), GetWidth());
  Invalidate();
}

void TcxScrollBar::DoChange()
{
  if (FOnChange)
    FOnChange(this);
}

void TcxScrollBar::DoScroll(TScrollCode AScrollCode, int& APosition)
{
  if (FOnScroll)
    FOnScroll(this, AScrollCode, APosition);
}

void TcxScrollBar::HelperChange(rtl::TObject* /*Sender*/)
{
  DoChange();
}

void TcxScrollBar::HelperScroll(rtl::TObject* /*Sender*/, TScrollCode AScrollCode, int& APosition)
{
  DoScroll(AScrollCode, APosition);
}

void TcxScrollBar::LookAndFeelChangeHandler(TcxLookAndFeel* /*Sender*/, TcxLookAndFeelValues /*AChangedValues*/)
{
  LookAndFeelChanged();
}

void TcxScrollBar::LookAndFeelChanged()
{
  if (!GetVisible())
    return;
  FHelper->Calculate();
  Invalidate();
}

void TcxScrollBar::ThemeChanged(rtl::TObject* /*Sender*/)
{
  FHelper->Calculate();
  cxFillScrollBarPatternBitmaps();
  Invalidate();
  if (GetParent())
    GetParent()->Realign();
}

void TcxScrollBar::PaintOnCanvas(TcxCanvas* ACanvas)
{
  FHelper->InternalPaint(ACanvas);
}

void TcxScrollBar::Paint()
{
  rtl::TOwnedPtr<TcxBitmap> bitmap(
      rtl::NewWith<TcxBitmap>([&](TcxBitmap* B) { B->CreateSize(GetWidth(), GetHeight()); }));
  bitmap->GetCanvas()->Lock();
  PaintOnCanvas(bitmap->GetcxCanvas());
  bitmap->GetCanvas()->Unlock();
  BitBlt(GetCanvas()->GetHandle(), 0, 0, GetWidth(), GetHeight(), bitmap->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

void TcxScrollBar::Resize()
{
  inherited::Resize();
  FHelper->SetBoundsRect(GetClientRect());
  FHelper->Calculate();
}

void TcxScrollBar::ChangeScale(int M, int D, bool AIsDpiChange)
{
  FScaleFactor->Change(M, D);
  inherited::ChangeScale(M, D, AIsDpiChange);
  FLookAndFeel->Refresh();
}

void TcxScrollBar::MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  rtl::TFreeWatch watch(this);
  inherited::MouseDown(AButton, AShift, X, Y);
  if (!watch.Freed())
    FHelper->MouseDown(AButton, AShift, X, Y);
}

void TcxScrollBar::MouseMove(vcl::TShiftState AShift, int X, int Y)
{
  rtl::TFreeWatch watch(this);
  inherited::MouseMove(AShift, X, Y);
  if (!watch.Freed())
    FHelper->MouseMove(AShift, X, Y);
}

void TcxScrollBar::MouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  rtl::TFreeWatch watch(this);
  inherited::MouseUp(AButton, AShift, X, Y);
  if (!watch.Freed())
    FHelper->MouseUp(AButton, AShift, X, Y);
}

vcl::TControl* TcxScrollBar::MessageControl(const rtl::TMessage& AMessage)
{
  auto* control = reinterpret_cast<vcl::TControl*>(AMessage.LParam);
  return control ? control : this;
}

void TcxScrollBar::CMMouseEnter(rtl::TMessage& AMessage)
{
  vcl::TControl* control = MessageControl(AMessage);
  FHelper->MouseEnter(control);
  if (control == this && FOnMouseEnter)
    FOnMouseEnter(this);
}

void TcxScrollBar::CMMouseLeave(rtl::TMessage& AMessage)
{
  vcl::TControl* control = MessageControl(AMessage);
  FHelper->MouseLeave(control);
  if (control == this && FOnMouseLeave)
    FOnMouseLeave(this);
}

void TcxScrollBar::CMEnabledChanged(rtl::TMessage& AMessage)
{
  InheritedMessage(this, AMessage);
  FHelper->SetEnabled(GetEnabled());
  FHelper->Calculate();
  Invalidate();
}

void TcxScrollBar::CMVisibleChanged(rtl::TMessage& AMessage)
{
  FHelper->SetVisible(GetVisible());
  InheritedMessage(this, AMessage);
}

void TcxScrollBar::CMSysColorChange(rtl::TMessage& AMessage)
{
  cxFillScrollBarPatternBitmaps();
  InheritedMessage(this, AMessage);
}

void TcxScrollBar::CNScroll(rtl::TMessage& AMessage)
{
  WORD code = LOWORD(AMessage.WParam);
  if (code <= SB_ENDSCROLL)
    FHelper->ScrollByCode(static_cast<TScrollCode>(code));
}

void TcxScrollBar::CNCtlColorScrollBar(rtl::TMessage& AMessage)
{
  cxFillScrollBarPatternBitmaps();
  AMessage.Result = CallWindowProcW(reinterpret_cast<WNDPROC>(DefWindowProcW), GetHandle(), AMessage.Msg - rtl::CN_BASE,
                                    AMessage.WParam, AMessage.LParam);
}

void TcxScrollBar::WMEraseBkgnd(rtl::TMessage& AMessage)
{
  AMessage.Result = 1;
}

void TcxScrollBar::WMCancelMode(rtl::TMessage& AMessage)
{
  FHelper->CancelMode();
  InheritedMessage(this, AMessage);
}
