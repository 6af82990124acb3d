// The base painter's check boxes, toggle switches, label lines, popup
// frames, scroll bars, size grips, slider buttons, progress bars, group
// boxes, panels, splitters and bevels. The twins without a scale factor
// forward to the scaled operations with the system factor.
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxDrawTextUtils.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/cxGraphicsDraw.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/GraphicsHandles.h"
#include "lookandfeel/cxLookAndFeelPainters.h"

using enum TcxArrowDirection;
using enum TcxBorder;
using enum TcxButtonState;
using enum TcxCheckBoxState;
using enum TdxBevelShape;
using enum TdxCorner;
using enum vcl::TBrushStyle;
using enum TcxEditPopupBorderStyle;
using enum TcxGroupBoxCaptionPosition;
using enum TcxPopupBorderStyle;
using enum TcxScrollBarPart;

using namespace vcl;

namespace {

// The check mark: a short and a long arm through three points scaled with
// the mark's width (the long arm leaves the rectangle and is clipped),
// drawn three times one pixel apart upwards, three pixels thick.
void DrawCheckMark(TcxCanvas* ACanvas, const TRect& AMarkRect)
{
  const int w = cxRectGetWidth(AMarkRect);
  const int h = cxRectGetHeight(AMarkRect);
  const int dx = static_cast<int>(std::trunc(w * 0.15)) + 1;
  static constexpr TPoint kBase[] = {{0, 0}, {500, 500}, {1500, -499}};
  std::array<TPoint, 3> points;
  for (size_t i = 0; i < points.size(); ++i)
    points[i] = {AMarkRect.left + MulDiv(kBase[i].x, w, 1000) - dx,
                 AMarkRect.top + MulDiv(kBase[i].y, w, 1000) + h / 3};
  ACanvas->SaveClipRegion();
  const rtl::Finally restore([&] { ACanvas->RestoreClipRegion(); });
  ACanvas->IntersectClipRect(AMarkRect);
  for (int shift = 0; shift < 3; ++shift) {
    std::array<TPoint, 3> row = points;
    for (TPoint& p : row)
      p.y -= shift;
    ACanvas->Polyline(row);
  }
}

// Horizontal text single-line with prefixes, right-to-left reading on a
// mirrored canvas; vertical text turned, two pixels in from the corner.
void DrawProgressText(TcxCanvas* ACanvas, const rtl::String& AText, const TRect& ATextRect, bool AVertical,
                      TColor AColor)
{
  ACanvas->GetFont()->SetColor(AColor);
  if (AVertical) {
    TFont* font = ACanvas->GetFont();
    cxDrawTextRotatedWrapped(ACanvas->GetHandle(), cxRectOffsetBy(ATextRect, 2, 2), AText, font->GetSize(), 1, false,
                             false, false, 1, 1, font);
    return;
  }
  TRect r = ATextRect;
  const unsigned flags = cxdtfSingleLine | (ACanvas->GetUseRightToLeftAlignment() ? cxdtfRTLReading : 0);
  cxDrawTextEx(ACanvas->GetHandle(), AText, r, flags, ACanvas->GetFont(), AColor);
}

// One stroke of a splitter line, from its first pixel up to (not
// including) its last.
struct TSplitterSegment {
  int From;
  int To;
};

// Segments up to five pixels before the centre and from five after it;
// without a close mark three short dashes fill the middle, with one the
// middle stays free for it and the last segment starts AFinalGap later.
std::vector<TSplitterSegment> SplitterSegments(int AStart, int AEnd, bool AHasCloseMark, int AFinalGap)
{
  const int c = (AStart + AEnd) / 2;
  std::vector<TSplitterSegment> result{{AStart, c - 5}};
  if (!AHasCloseMark)
    result.insert(result.end(), {{c - 4, c - 2}, {c - 1, c + 1}, {c + 2, c + 4}});
  result.push_back({c + 5 + AFinalGap, AEnd});
  return result;
}

}  // namespace

// ---------------------------------------------------------------------------
// Check box

void TcxCustomLookAndFeelPainter::DrawScaledCheck(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                  TcxCheckBoxState ACheckState, TColor AColor,
                                                  const TdxScaleFactor*)
{
  // A clear brush asks for the mark alone over what is there.
  if (ACanvas->GetBrush()->GetStyle() == bsSolid)
    ACanvas->FillRect(R, CheckButtonColor(AState, ACheckState));
  if (ACheckState == cbsUnchecked)
    return;
  ACanvas->GetPen()->SetColor(AColor);
  DrawCheckMark(ACanvas, cxRectInflateAll(R, -1));
}

void TcxCustomLookAndFeelPainter::DrawScaledCheck(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                  bool AChecked, TColor AColor, const TdxScaleFactor* AScaleFactor)
{
  DrawScaledCheck(ACanvas, R, AState, AChecked ? cbsChecked : cbsUnchecked, AColor, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawScaledCheckButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                        TcxCheckBoxState ACheckState,
                                                        const TdxScaleFactor* AScaleFactor)
{
  DrawCheckBorder(ACanvas, R, AState);
  const TColor markColor = AState == cxbsDisabled || ACheckState == cbsGrayed ? clGrayText : clBtnText;
  DrawScaledCheck(ACanvas, cxRectInflateAll(R, -CheckBorderSize()), AState, ACheckState, markColor, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawScaledCheckButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                        bool AChecked, const TdxScaleFactor* AScaleFactor)
{
  DrawScaledCheckButton(ACanvas, R, AState, AChecked ? cbsChecked : cbsUnchecked, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawCheck(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                            TcxCheckBoxState ACheckState, TColor AColor)
{
  DrawScaledCheck(ACanvas, R, AState, ACheckState, AColor, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawCheck(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AChecked,
                                            TColor AColor)
{
  DrawScaledCheck(ACanvas, R, AState, AChecked, AColor, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawCheckButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                  TcxCheckBoxState ACheckState)
{
  DrawScaledCheckButton(ACanvas, R, AState, ACheckState, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawCheckButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                  bool AChecked)
{
  DrawScaledCheckButton(ACanvas, R, AState, AChecked, dxGetSystemScaleFactor());
}

// ---------------------------------------------------------------------------
// Toggle switch

void TcxCustomLookAndFeelPainter::DrawScaledToggleSwitch(TcxCanvas* ACanvas, const TRect& ABounds,
                                                         TcxButtonState AState, const TRect& AThumbBounds,
                                                         const TdxScaleFactor* AScaleFactor)
{
  // The thumb's side tells the state; a right-to-left canvas reverses it.
  const bool rightToLeft = ACanvas->GetUseRightToLeftAlignment();
  if (AThumbBounds.left == ABounds.left) {
    DrawScaledToggleSwitchState(ACanvas, ABounds, AState, rightToLeft, AScaleFactor);
    return;
  }
  if (AThumbBounds.right == ABounds.right) {
    DrawScaledToggleSwitchState(ACanvas, ABounds, AState, !rightToLeft, AScaleFactor);
    return;
  }
  // While dragged the track shows one state on each side of the thumb.
  const int x = AThumbBounds.left + cxRectGetWidth(AThumbBounds) / 2;
  const auto drawPart = [&](const TRect& AExcluded, bool AChecked) {
    ACanvas->SaveState();
    ACanvas->SaveClipRegion();
    const rtl::Finally restore([&] {
      ACanvas->RestoreClipRegion();
      ACanvas->RestoreState();
    });
    ACanvas->ExcludeClipRect(AExcluded);
    DrawScaledToggleSwitchState(ACanvas, ABounds, AState, AChecked, AScaleFactor);
  };
  drawPart(cxRectWithHorzBounds(ABounds, x, ABounds.right), !rightToLeft);
  drawPart(cxRectWithHorzBounds(ABounds, ABounds.left, x), rightToLeft);
}

void TcxCustomLookAndFeelPainter::DrawScaledToggleSwitchState(TcxCanvas*, const TRect&, TcxButtonState, bool,
                                                              const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledToggleSwitchThumb(TcxCanvas* ACanvas, const TRect& ABounds,
                                                              TcxButtonState AState,
                                                              const TdxScaleFactor* AScaleFactor)
{
  DrawScaledButton(ACanvas, cxRectInflateAll(ABounds, -2), L"", AState, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawToggleSwitchStateIndicator(TcxCanvas* ACanvas, const TRect& ABounds,
                                                                 const rtl::String& AText, TFont* AFont)
{
  ACanvas->SaveState();
  const rtl::Finally restore([&] { ACanvas->RestoreState(); });
  if (AFont)
    ACanvas->SetFont(AFont);
  ACanvas->GetFont()->SetColor(GetToggleSwitchTextColor());
  ACanvas->GetBrush()->SetStyle(bsClear);
  ACanvas->DrawTexT(AText, ABounds, cxtfAlignHCenter | cxtfAlignVCenter | cxtfSingleLine);
}

IdxColorPalette* TcxCustomLookAndFeelPainter::GetToggleSwitchColorPalette()
{
  return nullptr;
}

TColor TcxCustomLookAndFeelPainter::GetToggleSwitchTextColor()
{
  return DefaultContentTextColor();
}

int TcxCustomLookAndFeelPainter::GetToggleSwitchThumbPercentsWidth()
{
  return 50;
}

TColor TcxCustomLookAndFeelPainter::ToggleSwitchToggleColor(bool)
{
  return clBlack;
}

void TcxCustomLookAndFeelPainter::DrawToggleSwitch(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                                   const TRect& AThumbBounds)
{
  DrawScaledToggleSwitch(ACanvas, ABounds, AState, AThumbBounds, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawToggleSwitchState(TcxCanvas* ACanvas, const TRect& ABounds,
                                                        TcxButtonState AState, bool AChecked)
{
  DrawScaledToggleSwitchState(ACanvas, ABounds, AState, AChecked, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawToggleSwitchThumb(TcxCanvas* ACanvas, const TRect& ABounds,
                                                        TcxButtonState AState)
{
  DrawScaledToggleSwitchThumb(ACanvas, ABounds, AState, dxGetSystemScaleFactor());
}

// ---------------------------------------------------------------------------
// Label line

void TcxCustomLookAndFeelPainter::DrawLabelLine(TcxCanvas* ACanvas, const TRect& R, TColor AOuterColor,
                                                TColor AInnerColor, bool AIsVertical)
{
  ACanvas->DrawComplexFrame(R, AOuterColor == clDefault ? clBtnShadow : AOuterColor,
                            AInnerColor == clDefault ? clBtnHighlight : AInnerColor,
                            AIsVertical ? TcxBorders{bLeft, bRight} : TcxBorders{bTop, bBottom});
}

// ---------------------------------------------------------------------------
// Popup windows

void TcxCustomLookAndFeelPainter::DrawEditPopupWindowBorder(TcxCanvas* ACanvas, TRect& R,
                                                            TcxEditPopupBorderStyle ABorderStyle, bool AClientEdge)
{
  switch (ABorderStyle) {
    case epbsSingle:
      ACanvas->FrameRect(R, clBtnText);
      break;
    case epbsFlat:
    case epbsFrame3D:
      ACanvas->DrawEdge(R, false, true);
      R = cxRectInflateAll(R, -1);
      ACanvas->DrawEdge(R, false, false);
      if (ABorderStyle == epbsFlat)
        break;
      R = cxRectInflateAll(R, -1);
      ACanvas->FrameRect(R, AClientEdge ? clInactiveBorder : clBtnFace);
      R = cxRectInflateAll(R, -1);
      if (AClientEdge)
        ACanvas->FrameRect(R, clBtnFace);
      else
        ACanvas->DrawEdge(R, true, true);
      break;
    case epbsDefault:
      break;
  }
  // Callers lay the popup's content out in R, so R ends inside the border;
  // even the plain style keeps one pixel.
  R = cxRectInflateAll(R, -1);
}

int TcxCustomLookAndFeelPainter::GetEditPopupWindowBorderWidth(TcxEditPopupBorderStyle AStyle)
{
  switch (AStyle) {
    case epbsSingle:
      return 1;
    case epbsFrame3D:
      return 4;
    case epbsFlat:
      return 2;
    default:
      return 0;
  }
}

int TcxCustomLookAndFeelPainter::GetEditPopupWindowClientEdgeWidth(TcxEditPopupBorderStyle AStyle)
{
  switch (AStyle) {
    case epbsSingle:
    case epbsFrame3D:
      return 2;
    case epbsFlat:
      return 1;
    default:
      return 0;
  }
}

TcxPopupBorderStyle TcxCustomLookAndFeelPainter::PopupBorderStyle()
{
  return pbsUltraFlat;
}

// ---------------------------------------------------------------------------
// Scroll bars

void TcxCustomLookAndFeelPainter::DrawScaledScrollBarBackground(TcxCanvas* ACanvas, const TRect& R, bool AHorizontal,
                                                                const TdxScaleFactor* AScaleFactor)
{
  DrawScaledScrollBarPart(ACanvas, AHorizontal, R, sbpPageUp, cxbsNormal, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawScaledScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const TRect& R,
                                                          TcxScrollBarPart APart, TcxButtonState AState,
                                                          const TdxScaleFactor* AScaleFactor)
{
  // A mirrored horizontal bar keeps its buttons where the caller laid them
  // out, but their arrows point the other way.
  if (AHorizontal && ACanvas->GetUseRightToLeftAlignment()) {
    if (APart == sbpLineUp)
      APart = sbpLineDown;
    else if (APart == sbpLineDown)
      APart = sbpLineUp;
  }
  DoDrawScrollBarPart(ACanvas, AHorizontal, AScaleFactor, APart, AState, R);
}

void TcxCustomLookAndFeelPainter::DrawScaledScrollBarSplitter(TcxCanvas* ACanvas, const TRect& R,
                                                              TcxButtonState AState,
                                                              const TdxScaleFactor* AScaleFactor)
{
  DrawNavigatorScaledButton(ACanvas, R, AState, clDefault, AScaleFactor);
  DrawNavigatorBorder(ACanvas, R, false);
  DrawScaledSplitter(ACanvas, cxRectInflateAll(R, -2), AState == cxbsHot, AState == cxbsPressed, false, AScaleFactor,
                     false, adLeft);
}

int TcxCustomLookAndFeelPainter::ScaledScrollBarMinimalThumbSize(bool, const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(8);
}

void TcxCustomLookAndFeelPainter::DrawScrollBarBackground(TcxCanvas* ACanvas, const TRect& R, bool AHorizontal)
{
  DrawScaledScrollBarBackground(ACanvas, R, AHorizontal, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const TRect& R,
                                                    TcxScrollBarPart APart, TcxButtonState AState)
{
  DrawScaledScrollBarPart(ACanvas, AHorizontal, R, APart, AState, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawScrollBarSplitter(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState)
{
  DrawScaledScrollBarSplitter(ACanvas, R, AState, dxGetSystemScaleFactor());
}

int TcxCustomLookAndFeelPainter::ScrollBarMinimalThumbSize(bool AVertical)
{
  return ScaledScrollBarMinimalThumbSize(AVertical, dxGetSystemScaleFactor());
}

TcxArrowDirection TcxCustomLookAndFeelPainter::GetScrollBarArrowDirection(bool AHorizontal, TcxScrollBarPart APart)
{
  if (APart == sbpLineUp)
    return AHorizontal ? adLeft : adUp;
  return AHorizontal ? adRight : adDown;
}

void TcxCustomLookAndFeelPainter::DoDrawScrollBarPart(TcxCanvas*, bool, const TdxScaleFactor*, TcxScrollBarPart,
                                                      TcxButtonState, const TRect&)
{
}

// ---------------------------------------------------------------------------
// Popup panels and size grips

void TcxCustomLookAndFeelPainter::CalculateScaledPopupPanelClientRect(
    TRect& AClientRect, TRect& APanelRect, TRect& AGripRect, TRect& ACloseButtonRect, TdxCorner ACorner,
    const TRect& ABorders, const TRect& APanelBorders, const TdxScaleFactor* AScaleFactor, int APanelHeight,
    bool AShowCloseButton, bool AShowGripSize)
{
  const bool atTop = ACorner == coTopLeft || ACorner == coTopRight;
  const bool atRight = ACorner == coTopRight || ACorner == coBottomRight;
  const int height = APanelHeight != 0 ? APanelHeight : ScaledPopupPanelSize(AScaleFactor);
  AClientRect = cxRectDeflateByMargins(AClientRect, ABorders);
  APanelRect = AClientRect;
  if (atTop) {
    APanelRect.bottom = APanelRect.top + height;
    AClientRect.top = APanelRect.bottom;
  } else {
    APanelRect.top = APanelRect.bottom - height;
    AClientRect.bottom = APanelRect.top;
  }
  AGripRect = TRect{};
  if (AShowGripSize) {
    const TSize grip = ScaledSizeGripSize(AScaleFactor);
    AGripRect.left = atRight ? APanelRect.right - 2 - grip.cx : APanelRect.left + 2;
    AGripRect.top = atTop ? APanelRect.top + 2 : APanelRect.bottom - 2 - grip.cy;
    AGripRect.right = AGripRect.left + grip.cx;
    AGripRect.bottom = AGripRect.top + grip.cy;
  }
  ACloseButtonRect = TRect{};
  if (AShowCloseButton) {
    // A square of the panel's inner height at the end away from the grip.
    const TRect inner = cxRectDeflateByMargins(APanelRect, APanelBorders);
    const int side = cxRectGetHeight(inner);
    const TRect square = atRight ? cxRectWithWidth(inner, side) : cxRectSetRightAndWidth(inner, inner.right, side);
    ACloseButtonRect = cxRectCenterBoxOfSize(square, ScaledSmallCloseButtonSize(AScaleFactor));
  }
}

void TcxCustomLookAndFeelPainter::DrawScaledPopupNCPanel(HWND AHandle, bool AMouseAboveCloseButton,
                                                         bool ACloseButtonIsTracking, TdxCorner ACorner,
                                                         const TRect& ACloseButtonRect, const TRect& AGripRect,
                                                         TColor ABorderColor, const TdxScaleFactor* AScaleFactor)
{
  const TWindowDC dc(AHandle, GetWindowDC(AHandle));
  TcxPaintCanvas* canvas = cxPaintCanvas();
  canvas->BeginPaint(dc.Get());
  const rtl::Finally endPaint([&] { canvas->EndPaint(); });

  TRect window{};
  TRect client{};
  GetWindowRect(AHandle, &window);
  GetClientRect(AHandle, &client);
  MapWindowPoints(AHandle, nullptr, reinterpret_cast<POINT*>(&client), 2);
  const TPoint origin{window.left, window.top};
  client = cxRectOffsetByPoint(client, origin, false);
  const TRect whole = cxRectMoveToOrigin(window);
  const int border = client.left;
  const bool atTop = ACorner == coTopLeft || ACorner == coTopRight;
  TRect band = cxRectInflateAll(whole, -border);
  if (atTop)
    band.bottom = client.top;
  else
    band.top = client.bottom;

  canvas->FrameRect(whole, ABorderColor, border);
  TcxButtonState closeState = cxbsNormal;
  if (AMouseAboveCloseButton && ACloseButtonIsTracking)
    closeState = cxbsPressed;
  else if (AMouseAboveCloseButton || ACloseButtonIsTracking)
    closeState = cxbsHot;
  DrawScaledPopupPanelBand(canvas, band, cxRectOffsetByPoint(AGripRect, origin, false),
                           cxRectOffsetByPoint(ACloseButtonRect, origin, false), ACorner, closeState,
                           atTop ? TRect{0, 0, 0, 1} : TRect{0, 1, 0, 0}, ABorderColor, AScaleFactor, true, true);
}

void TcxCustomLookAndFeelPainter::DoDrawSizeGrip(TcxCanvas* ACanvas, const TRect& ARect, const TdxScaleFactor*)
{
  TRect r = ARect;
  DrawFrameControl(ACanvas->GetHandle(), &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP | DFCS_TRANSPARENT);
}

void TcxCustomLookAndFeelPainter::DrawSizeGrip(TcxCanvas* ACanvas, const TRect& ARect, TColor ABackgroundColor,
                                               TdxCorner ACorner)
{
  DrawScaledSizeGrip(ACanvas, ARect, dxGetSystemScaleFactor(), ABackgroundColor, ACorner);
}

void TcxCustomLookAndFeelPainter::DrawScaledSizeGrip(TcxCanvas* ACanvas, const TRect& ARect,
                                                     const TdxScaleFactor* AScaleFactor, TColor ABackgroundColor,
                                                     TdxCorner ACorner)
{
  using TDrawGrip = void (TcxCustomLookAndFeelPainter::*)(TcxCanvas*, const TRect&, const TdxScaleFactor*);
  cxDrawForCornerByPainter(
      ACanvas, ARect, AScaleFactor, ABackgroundColor, ACorner,
      TcxDrawForCornerByPainterProc::Bind<static_cast<TDrawGrip>(&TcxCustomLookAndFeelPainter::DoDrawSizeGrip)>(
          this));
}

TSize TcxCustomLookAndFeelPainter::ScaledSizeGripSize(const TdxScaleFactor* AScaleFactor)
{
  return TSize{dxGetScaledSystemMetrics(SM_CXVSCROLL, AScaleFactor),
               dxGetScaledSystemMetrics(SM_CYHSCROLL, AScaleFactor)};
}

void TcxCustomLookAndFeelPainter::CalculatePopupPanelClientRect(TRect& AClientRect, TRect& APanelRect,
                                                                TRect& AGripRect, TRect& ACloseButtonRect,
                                                                TdxCorner ACorner, const TRect& ABorders,
                                                                const TRect& APanelBorders, int APanelHeight,
                                                                bool AShowCloseButton, bool AShowGripSize)
{
  CalculateScaledPopupPanelClientRect(AClientRect, APanelRect, AGripRect, ACloseButtonRect, ACorner, ABorders,
                                      APanelBorders, dxGetSystemScaleFactor(), APanelHeight, AShowCloseButton,
                                      AShowGripSize);
}

void TcxCustomLookAndFeelPainter::DrawPopupNCPanel(HWND AHandle, bool AMouseAboveCloseButton,
                                                   bool ACloseButtonIsTracking, TdxCorner ACorner,
                                                   const TRect& ACloseButtonRect, const TRect& AGripRect,
                                                   TColor ABorderColor)
{
  DrawScaledPopupNCPanel(AHandle, AMouseAboveCloseButton, ACloseButtonIsTracking, ACorner, ACloseButtonRect,
                         AGripRect, ABorderColor, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DoDrawSizeGrip(TcxCanvas* ACanvas, const TRect& ARect)
{
  DoDrawSizeGrip(ACanvas, ARect, dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::SizeGripSize()
{
  return ScaledSizeGripSize(dxGetSystemScaleFactor());
}

int TcxCustomLookAndFeelPainter::ScaledPopupPanelSize(const TdxScaleFactor* AScaleFactor)
{
  const int arrow = dxGetScaledSystemMetrics(SM_CYHSCROLL, AScaleFactor);
  const int grip = ScaledSizeGripSize(AScaleFactor).cy;
  const int closeButton = ScaledSmallCloseButtonSize(AScaleFactor).cy;
  return std::max({arrow + 3, grip + 4, closeButton + 6});
}

int TcxCustomLookAndFeelPainter::PopupPanelSize()
{
  return ScaledPopupPanelSize(dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawScaledPopupPanelBand(TcxCanvas* ACanvas, const TRect& ABounds,
                                                           const TRect& AGripRect, const TRect& ACloseButtonRect,
                                                           TdxCorner AGripCorner, TcxButtonState ACloseButtonState,
                                                           const TRect& ABorders, TColor ABorderColor,
                                                           const TdxScaleFactor* AScaleFactor, bool AShowGripSize,
                                                           bool AShowCloseButton)
{
  const TRect content = cxRectDeflateByMargins(ABounds, ABorders);
  {
    ACanvas->SaveClipRegion();
    const rtl::Finally restore([&] { ACanvas->RestoreClipRegion(); });
    ACanvas->ExcludeClipRect(content);
    ACanvas->FillRect(ABounds, ABorderColor);
  }
  if (AShowGripSize) {
    const rtl::TOwnedPtr<TcxBitmap> grip(
        rtl::NewWith<TcxBitmap>([&](TcxBitmap* B) { B->CreateSize(AGripRect); }));
    DrawWindowContent(grip->GetcxCanvas(), grip->GetClientRect());
    DrawScaledSizeGrip(grip->GetcxCanvas(), grip->GetClientRect(), AScaleFactor, clNone, AGripCorner);
    cxBlitRect(ACanvas->GetHandle(), grip->GetCanvas()->GetHandle(), AGripRect, {0, 0});
    ACanvas->ExcludeClipRect(AGripRect);
  }
  if (AShowCloseButton) {
    DrawWindowContent(ACanvas, ACloseButtonRect);
    DrawScaledSmallCloseButton(ACanvas, ACloseButtonRect, ACloseButtonState, AScaleFactor);
    ACanvas->ExcludeClipRect(ACloseButtonRect);
  }
  DrawWindowContent(ACanvas, content);
  // Left excluded, so that the window's own painting does not cover it.
  ACanvas->ExcludeClipRect(ABounds);
}

void TcxCustomLookAndFeelPainter::DrawPopupPanelBand(TcxCanvas* ACanvas, const TRect& ABounds,
                                                     const TRect& AGripRect, const TRect& ACloseButtonRect,
                                                     TdxCorner AGripCorner, TcxButtonState ACloseButtonState,
                                                     const TRect& ABorders, TColor ABorderColor, bool AShowGripSize,
                                                     bool AShowCloseButton)
{
  DrawScaledPopupPanelBand(ACanvas, ABounds, AGripRect, ACloseButtonRect, AGripCorner, ACloseButtonState, ABorders,
                           ABorderColor, dxGetSystemScaleFactor(), AShowGripSize, AShowCloseButton);
}

// ---------------------------------------------------------------------------
// Slider buttons

TSize TcxCustomLookAndFeelPainter::ScaledSliderButtonSize(TcxArrowDirection, const TdxScaleFactor* AScaleFactor)
{
  return ScaledSizeGripSize(AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawScaledSliderButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                         TcxArrowDirection ADirection, TcxButtonState AState,
                                                         const TdxScaleFactor* AScaleFactor)
{
  const bool horizontal = ADirection == adLeft || ADirection == adRight;
  const TcxScrollBarPart part = ADirection == adDown || ADirection == adRight ? sbpLineDown : sbpLineUp;
  DrawScaledScrollBarPart(ACanvas, horizontal, ARect, part, AState, AScaleFactor);
}

TSize TcxCustomLookAndFeelPainter::SliderButtonSize(TcxArrowDirection ADirection)
{
  return ScaledSliderButtonSize(ADirection, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawSliderButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                   TcxArrowDirection ADirection, TcxButtonState AState)
{
  DrawScaledSliderButton(ACanvas, ARect, ADirection, AState, dxGetSystemScaleFactor());
}

// ---------------------------------------------------------------------------
// Progress bar

void TcxCustomLookAndFeelPainter::DrawProgressBarBorder(TcxCanvas*, const TRect&, bool)
{
}

void TcxCustomLookAndFeelPainter::DrawProgressBarChunk(TcxCanvas*, const TRect&, bool)
{
}

void TcxCustomLookAndFeelPainter::DrawProgressBarText(TcxCanvas* ACanvas, bool AVertical, bool ASolid,
                                                      const rtl::String& AText, const TRect& ATextRect,
                                                      const TRect&, const TRect& AProgressChunkRect,
                                                      TColor ATextColor)
{
  ACanvas->SaveState();
  const rtl::Finally restore([&] { ACanvas->RestoreState(); });
  const TColor color = ATextColor == clDefault || !ASolid ? ProgressBarTextColor() : ATextColor;
  if (ASolid) {
    DrawProgressText(ACanvas, AText, ATextRect, AVertical, color);
    return;
  }
  const TColor filledColor = ProgressBarTextColorEx(true);
  if (filledColor == clDefault) {
    // White text on black combined by exclusive or: inverted over both the
    // chunk and the empty track.
    const rtl::TOwnedPtr<TcxBitmap> bitmap(
        rtl::NewWith<TcxBitmap>([&](TcxBitmap* B) { B->CreateSize(ATextRect); }));
    TcxCanvas* bitmapCanvas = bitmap->GetcxCanvas();
    bitmapCanvas->FillRect(bitmap->GetClientRect(), clBlack);
    bitmapCanvas->SetFont(ACanvas->GetFont());
    bitmapCanvas->SetUseRightToLeftAlignment(ACanvas->GetUseRightToLeftAlignment());
    DrawProgressText(bitmapCanvas, AText, bitmap->GetClientRect(), AVertical, clWhite);
    cxBlitRect(ACanvas->GetHandle(), bitmap->GetCanvas()->GetHandle(), ATextRect, {0, 0}, SRCINVERT);
    return;
  }
  TRect overChunk;
  if (!cxRectIntersection(overChunk, ATextRect, AProgressChunkRect)) {
    DrawProgressText(ACanvas, AText, ATextRect, AVertical, color);
    return;
  }
  // The text in the track's colour everywhere but over the chunk, where it
  // is drawn again in the chunk's colour.
  const rtl::TOwnedPtr<TcxBitmap> saved(rtl::NewWith<TcxBitmap>([&](TcxBitmap* B) { B->CreateSize(overChunk); }));
  cxBlitRect(saved->GetCanvas()->GetHandle(), ACanvas->GetHandle(), saved->GetClientRect(),
             {overChunk.left, overChunk.top});
  DrawProgressText(ACanvas, AText, ATextRect, AVertical, ProgressBarTextColorEx(false));
  cxBlitRect(ACanvas->GetHandle(), saved->GetCanvas()->GetHandle(), overChunk, {0, 0});
  ACanvas->SaveClipRegion();
  const rtl::Finally restoreClip([&] { ACanvas->RestoreClipRegion(); });
  ACanvas->IntersectClipRect(overChunk);
  DrawProgressText(ACanvas, AText, ATextRect, AVertical, filledColor);
}

TRect TcxCustomLookAndFeelPainter::ProgressBarBorderSize(bool)
{
  return cxNullRect;
}

TColor TcxCustomLookAndFeelPainter::ProgressBarTextColor()
{
  return ProgressBarTextColorEx(false);
}

TColor TcxCustomLookAndFeelPainter::ProgressBarTextColorEx(bool AIsFilledArea)
{
  return AIsFilledArea ? clDefault : clWindowText;
}

// ---------------------------------------------------------------------------
// Group box

void TcxCustomLookAndFeelPainter::DrawGroupBoxBackground(TcxCanvas*, const TRect&, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::DrawGroupBoxCaption(TcxCanvas*, const TRect&, const TRect&,
                                                      TcxGroupBoxCaptionPosition)
{
}

void TcxCustomLookAndFeelPainter::DrawGroupBoxContent(TcxCanvas*, const TRect&, TcxGroupBoxCaptionPosition,
                                                      TcxBorders)
{
}

void TcxCustomLookAndFeelPainter::DrawGroupBoxScaledExpandButton(TcxCanvas* ACanvas, const TRect& R,
                                                                 TcxButtonState AState, bool AExpanded,
                                                                 const TdxScaleFactor* AScaleFactor,
                                                                 TcxRotationAngle ARotationAngle)
{
  DrawScaledExpandButtonEx(ACanvas, R, AState, AExpanded, AScaleFactor, ARotationAngle);
}

void TcxCustomLookAndFeelPainter::DrawGroupBoxScaledButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                           const TdxScaleFactor* AScaleFactor)
{
  DrawScaledButton(ACanvas, R, L"", AState, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawGroupBoxScaledExpandGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                                TcxButtonState AState, bool AExpanded,
                                                                const TdxScaleFactor* AScaleFactor)
{
  DrawScaledExpandMark(ACanvas, R, ButtonSymbolColor(AState), AExpanded, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawGroupBoxFrame(TcxCanvas*, const TRect&, bool, TcxGroupBoxCaptionPosition,
                                                    TcxBorders)
{
}

void TcxCustomLookAndFeelPainter::GroupBoxAdjustCaptionFont(TFont*, TcxGroupBoxCaptionPosition)
{
}

TRect TcxCustomLookAndFeelPainter::GroupBoxBorderSize(bool, TcxGroupBoxCaptionPosition)
{
  return cxNullRect;
}

int TcxCustomLookAndFeelPainter::GroupBoxCaptionTailSize(TcxGroupBoxCaptionPosition)
{
  return 0;
}

TColor TcxCustomLookAndFeelPainter::GroupBoxTextColor(bool AEnabled, TcxGroupBoxCaptionPosition)
{
  return AEnabled ? clWindowText : clBtnShadow;
}

bool TcxCustomLookAndFeelPainter::IsGroupBoxCaptionTextDrawnOverBorder(TcxGroupBoxCaptionPosition)
{
  return true;
}

bool TcxCustomLookAndFeelPainter::IsGroupBoxTransparent(bool, TcxGroupBoxCaptionPosition)
{
  return false;
}

void TcxCustomLookAndFeelPainter::DrawGroupBoxExpandButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                           bool AExpanded, TcxRotationAngle ARotationAngle)
{
  DrawGroupBoxScaledExpandButton(ACanvas, R, AState, AExpanded, dxGetSystemScaleFactor(), ARotationAngle);
}

void TcxCustomLookAndFeelPainter::DrawGroupBoxButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState)
{
  DrawGroupBoxScaledButton(ACanvas, R, AState, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawGroupBoxExpandGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                          bool AExpanded)
{
  DrawGroupBoxScaledExpandGlyph(ACanvas, R, AState, AExpanded, dxGetSystemScaleFactor());
}

// ---------------------------------------------------------------------------
// Panel

void TcxCustomLookAndFeelPainter::DrawPanelBackground(TcxCanvas* ACanvas, TWinControl*, const TRect& ABounds, TColor,
                                                      TColor)
{
  DrawGroupBoxBackground(ACanvas, ABounds, ABounds);
}

void TcxCustomLookAndFeelPainter::DrawPanelBorders(TcxCanvas*, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::DrawPanelCaption(TcxCanvas* ACanvas, const TRect& ACaptionRect,
                                                   TcxGroupBoxCaptionPosition ACaptionPosition)
{
  DrawGroupBoxCaption(ACanvas, ACaptionRect, TRect{}, ACaptionPosition);
}

void TcxCustomLookAndFeelPainter::DrawPanelContent(TcxCanvas* ACanvas, const TRect& ARect, bool)
{
  ACanvas->FillRect(ARect, clBtnFace);
}

TRect TcxCustomLookAndFeelPainter::PanelBorderSize()
{
  return cxNullRect;
}

TColor TcxCustomLookAndFeelPainter::PanelTextColor()
{
  return GroupBoxTextColor(true, cxgpTop);
}

// ---------------------------------------------------------------------------
// Splitter

TColor TcxCustomLookAndFeelPainter::GetSplitterInnerColor(bool)
{
  return clWhite;
}

TColor TcxCustomLookAndFeelPainter::GetSplitterOuterColor(bool)
{
  return clBtnShadow;
}

void TcxCustomLookAndFeelPainter::DrawScaledSplitter(TcxCanvas* ACanvas, const TRect& ARect, bool AHighlighted,
                                                     bool AClicked, bool AHorizontal,
                                                     const TdxScaleFactor* AScaleFactor, bool AHasCloseMark,
                                                     TcxArrowDirection AArrowDirection)
{
  const bool hasInnerLine = HasSplitterInnerLine(AHorizontal, AScaleFactor);
  const int thickness = hasInnerLine ? 2 : 1;
  // The line runs along the splitter: (position across, start, end).
  const int across = AHorizontal ? ARect.top + (cxRectGetHeight(ARect) - thickness) / 2
                                 : ARect.left + (cxRectGetWidth(ARect) - thickness) / 2;
  const int start = AHorizontal ? ARect.left : ARect.top;
  const int end = (AHorizontal ? ARect.right : ARect.bottom) - (hasInnerLine ? 1 : 0);
  int finalGap = 0;
  if (AHasCloseMark)
    finalGap = hasInnerLine ? 3 : 1;
  const auto drawLine = [&](int AShift, TColor AColor) {
    ACanvas->GetPen()->SetColor(AColor);
    const auto segment = [&](int AFrom, int ATo) {
      if (AHorizontal)
        ACanvas->Line(AFrom + AShift, across + AShift, ATo + AShift, across + AShift);
      else
        ACanvas->Line(across + AShift, AFrom + AShift, across + AShift, ATo + AShift);
    };
    for (const TSplitterSegment& s : SplitterSegments(start, end, AHasCloseMark, finalGap))
      segment(s.From, s.To);
  };
  drawLine(0, GetSplitterOuterColor(AHighlighted));
  if (hasInnerLine)
    drawLine(1, GetSplitterInnerColor(AHighlighted));
  if (AHasCloseMark)
    DrawSplitterCloseMark(ACanvas, ARect, AHighlighted, AClicked, AHorizontal, AScaleFactor, AArrowDirection);
}

TSize TcxCustomLookAndFeelPainter::GetScaledSplitterSize(bool AHorizontal, const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(AHorizontal ? TSize{17, 2} : TSize{2, 17});
}

void TcxCustomLookAndFeelPainter::DrawSplitter(TcxCanvas* ACanvas, const TRect& ARect, bool AHighlighted,
                                               bool AClicked, bool AHorizontal)
{
  DrawScaledSplitter(ACanvas, ARect, AHighlighted, AClicked, AHorizontal, dxGetSystemScaleFactor(), false, adLeft);
}

void TcxCustomLookAndFeelPainter::DrawSplitterCloseMark(TcxCanvas* ACanvas, const TRect& ARect, bool, bool,
                                                        bool AHorizontal, const TdxScaleFactor* AScaleFactor,
                                                        TcxArrowDirection AArrowDirection)
{
  ACanvas->GetPen()->SetColor(GetSplitterOuterColor(false));
  TPoint c = cxRectCenterPoint(ARect);
  // Centred on the two lines rather than on the rectangle.
  if (HasSplitterInnerLine(AHorizontal, AScaleFactor)) {
    if (AHorizontal && cxRectGetWidth(ARect) % 2 != 0)
      ++c.x;
    else if (!AHorizontal && cxRectGetHeight(ARect) % 2 != 0)
      ++c.y;
  }
  const auto s = [&](int AValue) { return AScaleFactor->Apply(AValue); };
  const int n = s(3);
  for (int i = 0; i <= n; ++i)
    for (const int sign : {-1, 1}) {
      const int d = sign * i;
      switch (AArrowDirection) {
        case adUp:
          ACanvas->Line(c.x + d, c.y + i - s(3), c.x + d, c.y + i - s(5));
          break;
        case adDown:
          ACanvas->Line(c.x + d, c.y + s(2) - i, c.x + d, c.y + s(4) - i);
          break;
        case adLeft:
          ACanvas->Line(c.x + i - s(3), c.y + d, c.x + i - s(5), c.y + d);
          break;
        case adRight:
          ACanvas->Line(c.x + s(2) - i, c.y + d, c.x + s(4) - i, c.y + d);
          break;
      }
    }
}

TSize TcxCustomLookAndFeelPainter::GetSplitterSize(bool AHorizontal)
{
  return GetScaledSplitterSize(AHorizontal, dxGetSystemScaleFactor());
}

bool TcxCustomLookAndFeelPainter::HasSplitterInnerLine(bool AHorizontal, const TdxScaleFactor* AScaleFactor)
{
  const TSize size = GetScaledSplitterSize(AHorizontal, AScaleFactor);
  return (AHorizontal ? size.cy : size.cx) > 1;
}

// ---------------------------------------------------------------------------
// Bevel

void TcxCustomLookAndFeelPainter::DrawBevelFrame(TcxCanvas* ACanvas, const TRect& R, TColor AColor1, TColor AColor2,
                                                 bool ABoxStyle)
{
  if (AColor2 == clNone)
    ACanvas->FrameRect(R, AColor1);
  else if (ABoxStyle)
    ACanvas->DrawComplexFrame(R, AColor1, AColor2);
  else {
    ACanvas->FrameRect(cxRectShiftSides(R, 1, 1, 0, 0), AColor2);
    ACanvas->FrameRect(cxRectShiftSides(R, 0, 0, -1, -1), AColor1);
  }
}

void TcxCustomLookAndFeelPainter::DrawBevelLine(TcxCanvas* ACanvas, const TRect& R, TColor AColor1, TColor AColor2,
                                                bool AIsVertical)
{
  if (AColor2 == clNone)
    ACanvas->FillRect(R, AColor1);
  else
    ACanvas->DrawComplexFrame(R, AColor1, AColor2,
                              AIsVertical ? TcxBorders{bLeft, bRight} : TcxBorders{bTop, bBottom});
}

void TcxCustomLookAndFeelPainter::DrawBevelShape(TcxCanvas* ACanvas, const TRect& R, TdxBevelShape AShape,
                                                 TdxBevelStyle AStyle)
{
  const TSize size = GetBevelMinimalShapeSize(AShape);
  TColor color1;
  TColor color2;
  GetBevelShapeColors(color1, color2);
  if (AStyle == TdxBevelStyle::dxbsRaised)
    std::swap(color1, color2);
  if (color1 == clNone)
    std::swap(color1, color2);
  switch (AShape) {
    case dxbsBox:
    case dxbsFrame:
      DrawBevelFrame(ACanvas, R, color1, color2, AShape == dxbsBox);
      break;
    case dxbsLineTop:
      DrawBevelLine(ACanvas, cxRectWithHeight(R, size.cy), color1, color2, false);
      break;
    case dxbsLineBottom:
      DrawBevelLine(ACanvas, cxRectSetBottomAndHeight(R, R.bottom, size.cy), color1, color2, false);
      break;
    case dxbsLineLeft:
      DrawBevelLine(ACanvas, cxRectWithWidth(R, size.cx), color1, color2, true);
      break;
    case dxbsLineRight:
      DrawBevelLine(ACanvas, cxRectSetRightAndWidth(R, R.right, size.cx), color1, color2, true);
      break;
    case dxbsLineCenteredHorz:
      DrawBevelLine(ACanvas, cxRectCenterHorzBox(R, size.cx), color1, color2, true);
      break;
    case dxbsLineCenteredVert:
      DrawBevelLine(ACanvas, cxRectCenterVertBox(R, size.cy), color1, color2, false);
      break;
    case dxbsNone:
      break;
  }
}

TSize TcxCustomLookAndFeelPainter::GetBevelMinimalShapeSize(TdxBevelShape)
{
  return TSize{2, 2};
}

void TcxCustomLookAndFeelPainter::GetBevelShapeColors(TColor& AColor1, TColor& AColor2)
{
  AColor1 = clBtnShadow;
  AColor2 = clBtnHighlight;
}
