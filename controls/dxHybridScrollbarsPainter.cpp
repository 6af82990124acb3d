// The hybrid bar's painter: translucent fills in the owner's base colour,
// the thumb and the arrows drawn only as wide as the bar currently is.
#include <cmath>

#include "controls/cxPopupScrollBars.h"
#include "controls/dxHybridScrollbars.h"
#include "core/cxGeometry.h"
#include "graphics/cxGraphicsColors.h"
#include "graphics/dxCoreGraphics.h"
#include "graphics/dxGDIPlusClasses.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "platform/vcl/Controls.h"

using enum TScrollBarKind;
using enum TcxScrollBarPart;
using enum TcxButtonState;
using enum TcxArrowDirection;

namespace {

// The shared 2-D graphics canvas on the canvas's DC over R for a scope;
// the paint ends also when drawing raises.
class THybridGpPaint {
 public:
  THybridGpPaint(TcxCanvas* ACanvas, const TRect& R) : FCanvas(dxGpPaintCanvas())
  {
    FCanvas->BeginPaint(ACanvas->GetHandle(), R);
  }
  THybridGpPaint(const THybridGpPaint&) = delete;
  THybridGpPaint& operator=(const THybridGpPaint&) = delete;
  ~THybridGpPaint() { FCanvas->EndPaint(); }
  TdxGPPaintCanvas* operator->() const { return FCanvas; }

 private:
  TdxGPPaintCanvas* FCanvas;
};

}  // namespace

std::uint8_t TdxHybridScrollBarPainter::BackgroundAlpha(int AVisibleSize)
{
  return static_cast<std::uint8_t>(std::nearbyint(AVisibleSize * 22 / 100.0));
}

IdxHybridScrollbarOwner* TdxHybridScrollBarPainter::GetHybridOwner()
{
  // A popup bar serves its scroll-UI owner; a windowless bar its host, or
  // a bar in a window of its own the component that owns that window.
  rtl::TComponent* component = GetScrollBar()->GetOwner()->GetControl();
  if (rtl::Is<TcxControlPopupScrollBar>(component)) {
    rtl::TObject* owner = static_cast<TcxControlPopupScrollBar*>(component)->GetScrollbarOwner();
    const rtl::TInterfaceEntry* entry = owner ? owner->GetInterfaceEntry(rtl::IIDOf<IdxHybridScrollbarOwner>()) : nullptr;
    return entry ? static_cast<IdxHybridScrollbarOwner*>(entry->Get(owner)) : nullptr;
  }
  while (component) {
    if (const rtl::TInterfaceEntry* entry = component->GetInterfaceEntry(rtl::IIDOf<IdxHybridScrollbarOwner>()))
      return static_cast<IdxHybridScrollbarOwner*>(entry->Get(component));
    component = component->GetOwner();
  }
  return nullptr;
}

rtl::TObject* TdxHybridScrollBarPainter::GetBarObject()
{
  return GetScrollBar()->GetOwner()->GetControl();
}

TdxHybridScrollbarsManager* TdxHybridScrollBarPainter::GetManager()
{
  IdxHybridScrollbarOwner* owner = GetHybridOwner();
  return owner ? owner->GetHybridScrollbarsManager() : nullptr;
}

bool TdxHybridScrollBarPainter::IsExpanded()
{
  TdxHybridScrollbarsManager* manager = GetManager();
  return manager && manager->IsExpandedScrollbar(GetBarObject());
}

vcl::TColor TdxHybridScrollBarPainter::BaseColor()
{
  IdxHybridScrollbarOwner* owner = GetHybridOwner();
  return owner ? owner->GetHybridScrollbarBaseColor() : vcl::TColor(0x000000);
}

TRect TdxHybridScrollBarPainter::FarEdgeRect(const TRect& R, int AThickness)
{
  TRect result = R;
  if (GetScrollBar()->GetKind() == sbHorizontal) {
    result.top = std::max(R.top, R.bottom - AThickness);
  } else if (GetScrollBar()->IsRightToLeft()) {
    result.right = std::min(R.right, R.left + AThickness);
  } else {
    result.left = std::max(R.left, R.right - AThickness);
  }
  return result;
}

void TdxHybridScrollBarPainter::DrawBackground(TcxCanvas* ACanvas, const TRect& R)
{
  THybridGpPaint canvas(ACanvas, R);
  if (IsExpanded()) {
    canvas->FillRectangle(R, dxColorToAlphaColor(BaseColor(), BackgroundAlpha(GetManager()->GetVisibleSize())));
    return;
  }
  const int collapsed = cxGetHybridScrollBarSize(GetScrollBar()->GetScaleFactor(), false).cx;
  canvas->FillRectangle(FarEdgeRect(R, collapsed), dxColorToAlphaColor(BaseColor(), 1));
}

void TdxHybridScrollBarPainter::DrawPart(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                         TcxScrollBarPart APart)
{
  if (IsRectEmpty(&R))
    return;
  const bool expanded = IsExpanded();
  const vcl::TColor base = BaseColor();
  THybridGpPaint canvas(ACanvas, R);
  if (APart == sbpThumbnail) {
    TdxHybridScrollbarsManager* manager = GetManager();
    const TdxScaleFactor* scale = GetScrollBar()->GetScaleFactor();
    const int collapsed = cxGetHybridScrollBarSize(scale, false).cx;
    const int thickness = manager && expanded ? manager->GetBarThickness(scale) : collapsed;
    const TRect thumb = FarEdgeRect(R, thickness);
    const std::uint8_t alpha = AState == cxbsPressed ? ThumbPressedAlpha
                               : AState == cxbsHot   ? ThumbHotAlpha
                                                     : ThumbNormalAlpha;
    if (expanded) {
      canvas->FillRectangle(thumb, dxColorToAlphaColor(base, alpha));
      return;
    }
    canvas->FillRectangle(thumb, dxColorToAlphaColor(vcl::TColor(0xFFFFFF), 1));
    // A line a third of the collapsed size wide, a third in from the edge.
    const int third = collapsed / 3;
    TRect line = FarEdgeRect(thumb, 2 * third);
    if (GetScrollBar()->GetKind() == sbHorizontal)
      line.bottom = line.top + third;
    else if (GetScrollBar()->IsRightToLeft())
      line.left = line.right - third;
    else
      line.right = line.left + third;
    canvas->FillRectangle(line, dxColorToAlphaColor(base, CollapsedThumbAlpha));
    return;
  }
  if ((APart != sbpLineUp && APart != sbpLineDown) || !expanded)
    return;
  const bool up = APart == sbpLineUp;
  TcxArrowDirection direction;
  if (GetScrollBar()->GetKind() == sbVertical)
    direction = up ? adUp : adDown;
  else if (GetScrollBar()->IsRightToLeft())
    direction = up ? adRight : adLeft;
  else
    direction = up ? adLeft : adRight;
  std::uint8_t fillAlpha = 0;
  vcl::TColor lineColor = base;
  if (AState == cxbsPressed) {
    fillAlpha = ArrowPressedAlpha;
    lineColor = cxInvertColor(base);
  } else if (AState == cxbsHot) {
    fillAlpha = ArrowHotAlpha;
  }
  TcxArrowPoints points;
  GetScrollBar()->GetLookAndFeelPainter()->CalculateArrowPoints(R, points, direction, false);
  canvas->FillRectangle(R, dxColorToAlphaColor(base, fillAlpha));
  canvas->SetSmoothingMode(smAntiAlias);
  canvas->Polyline(points, dxColorToAlphaColor(lineColor, ArrowLineAlpha), 1);
}
