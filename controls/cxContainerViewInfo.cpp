// The container unit: its view info and the frame, shadow and window-region
// routines.
#include "controls/cxContainer.h"

#include <vssym32.h>

#include "controls/dxDWMApi.h"
#include "core/cxGeometry.h"
#include "core/dxThemeManager.h"
#include "core/dxUxTheme.h"
#include "graphics/dxOffice11.h"

namespace {

using vcl::TColor;

}  // namespace

// ---------------------------------------------------------------------------
// Unit routines: frame, shadow and window regions

void cxDrawContainerShadow(TcxCanvas* ACanvas, const TRect& R)
{
  const TRect ABottom{R.left + cxContainerShadowWidth, R.bottom, R.right, R.bottom + cxContainerShadowWidth};
  const TRect ARight{R.right, R.top + cxContainerShadowWidth, R.right + cxContainerShadowWidth,
                     R.bottom + cxContainerShadowWidth};
  for (const TRect& AStrip : {ABottom, ARight}) {
    ACanvas->FillRect(AStrip, vcl::clBtnShadow);
    ACanvas->ExcludeClipRect(AStrip);
  }
}

TColor cxGetBorderHighlightColor(bool AHighlighted, bool AIsOffice11)
{
  if (!AHighlighted)
    return vcl::clBtnShadow;
  return AIsOffice11 ? dxOffice11SelectedBorderColor : vcl::clHighlight;
}

int cxGetContainerBorderWidth(TcxContainerBorderStyle ABorderStyle)
{
  if (TcxCustomLookAndFeelPainter* APainter = cxLookAndFeelPaintersManager()
                                                  ? cxLookAndFeelPaintersManager()->GetPainter(TcxLookAndFeelStyle::lfsStandard)
                                                  : nullptr)
    return APainter->GetContainerBorderWidth(ABorderStyle);
  return 0;
}

TRect cxGetControlBoundsAtOrigin(vcl::TControl* AControl)
{
  return TRect{0, 0, AControl->GetWidth(), AControl->GetHeight()};
}

HRGN cxGetWindowShadowRegion(HWND, const TRect& AShadowBounds, const TRect& AShadowBoundsExtent,
                             const TRect& AExcludeRect, bool AShadow, bool ANativeBordered)
{
  if (!AShadow || ANativeBordered)
    return nullptr;
  vcl::TOwnedRegion ARegion(CreateRectRgnIndirect(&AShadowBounds));
  TRect AShadowRect = AShadowBounds;
  OffsetRect(&AShadowRect, cxContainerShadowWidth, cxContainerShadowWidth);
  AShadowRect.left += AShadowBoundsExtent.left;
  AShadowRect.top += AShadowBoundsExtent.top;
  AShadowRect.right -= AShadowBoundsExtent.right;
  AShadowRect.bottom -= AShadowBoundsExtent.bottom;
  vcl::TOwnedRegion AShadowRegion(CreateRectRgnIndirect(&AShadowRect));
  CombineRgn(ARegion.Get(), ARegion.Get(), AShadowRegion.Get(), RGN_OR);
  if (!cxRectHasNoArea(AExcludeRect)) {
    vcl::TOwnedRegion AExclude(CreateRectRgnIndirect(&AExcludeRect));
    CombineRgn(ARegion.Get(), ARegion.Get(), AExclude.Get(), RGN_DIFF);
  }
  return ARegion.Release();
}

namespace {

// The four strips between AOuter and AInner: left and right over the full
// height, top and bottom between the inner rectangle's sides.
std::array<TRect, 4> FrameStrips(const TRect& AOuter, const TRect& AInner)
{
  return {TRect{AOuter.left, AOuter.top, AInner.left, AOuter.bottom},
          TRect{AInner.right, AOuter.top, AOuter.right, AOuter.bottom},
          TRect{AInner.left, AOuter.top, AInner.right, AInner.top},
          TRect{AInner.left, AInner.bottom, AInner.right, AOuter.bottom}};
}

}  // namespace

void cxFillFrameBetweenRects(TcxCanvas* ACanvas, const TRect& AOuter, const TRect& AInner, TColor AColor)
{
  if (cxRectHasNoArea(AOuter) || EqualRect(&AOuter, &AInner))
    return;
  if (cxRectHasNoArea(AInner)) {
    ACanvas->FillRect(AOuter, AColor);
    return;
  }
  for (const TRect& AStrip : FrameStrips(AOuter, AInner))
    if (!cxRectHasNoArea(AStrip))
      ACanvas->FillRect(AStrip, AColor);
}

void cxRedrawWindowRect(HWND AWnd, const TRect& R, bool AErase, bool AFrame)
{
  UINT AFlags = RDW_INVALIDATE;
  if (AErase)
    AFlags |= RDW_ERASE;
  if (AFrame)
    AFlags |= RDW_FRAME;
  RedrawWindow(AWnd, &R, nullptr, AFlags);
}

void cxRedrawRectFrame(HWND AWnd, const TRect& AOuter, const TRect& AInner, bool AErase, bool AFrame)
{
  if (cxRectHasNoArea(AInner)) {
    cxRedrawWindowRect(AWnd, AOuter, AErase, AFrame);
    return;
  }
  for (const TRect& AStrip : FrameStrips(AOuter, AInner))
    if (!cxRectHasNoArea(AStrip))
      cxRedrawWindowRect(AWnd, AStrip, AErase, AFrame);
}

HRGN cxGetWindowRegionCopy(HWND AWnd)
{
  vcl::TOwnedRegion ARegion(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(AWnd, ARegion.Get()) == ERROR)
    return nullptr;
  return ARegion.Release();
}

bool cxWindowRegionDiffers(HWND AWnd, HRGN ARegion)
{
  vcl::TOwnedRegion ACurrent(cxGetWindowRegionCopy(AWnd));
  if (!ACurrent || !ARegion)
    return (ACurrent.Get() != nullptr) != (ARegion != nullptr);
  return !EqualRgn(ACurrent.Get(), ARegion);
}

bool cxSetWindowRegionIfChanged(HWND AWnd, HRGN ARegion, bool ARedraw)
{
  vcl::TOwnedRegion AOwned(ARegion);
  if (!cxWindowRegionDiffers(AWnd, ARegion))
    return false;
  // The window owns the region once SetWindowRgn succeeds.
  if (SetWindowRgn(AWnd, ARegion, ARedraw) == 0)
    return false;
  AOwned.Release();
  return true;
}

void cxCombineWindowRegion(HWND AWnd, HRGN ARegion, TcxRegionOperation AOperation, bool ARedraw)
{
  vcl::TOwnedRegion AOwned(ARegion);
  vcl::TOwnedRegion ACurrent(cxGetWindowRegionCopy(AWnd));
  if (AOperation != TcxRegionOperation::roSet && ACurrent) {
    static constexpr int ACombineModes[] = {RGN_COPY, RGN_OR, RGN_DIFF, RGN_AND};
    CombineRgn(ACurrent.Get(), ACurrent.Get(), ARegion, ACombineModes[AOperation]);
    cxSetWindowRegionIfChanged(AWnd, ACurrent.Release(), ARedraw);
  } else {
    cxSetWindowRegionIfChanged(AWnd, AOwned.Release(), ARedraw);
  }
}

void cxCombineWindowRegionWithRect(vcl::TWinControl* AControl, const TRect& R, TcxRegionOperation AOperation,
                                   bool ARedraw)
{
  cxCombineWindowRegion(AControl->GetHandle(), CreateRectRgnIndirect(&R), AOperation, ARedraw);
}

void cxApplyWindowShadowRegion(HWND AWnd, const TRect& AShadowBounds, const TRect& AExtent, const TRect& AExcludeRect,
                               bool AShadow, bool ANativeBordered)
{
  if (HRGN ARegion = cxGetWindowShadowRegion(AWnd, AShadowBounds, AExtent, AExcludeRect, AShadow, ANativeBordered))
    cxSetWindowRegionIfChanged(AWnd, ARegion, true);
}

bool cxIsNativeThemeAvailable(bool ANativeStyle, TdxThemedObjectType AThemedObjectType)
{
  return ANativeStyle && dxOpenTheme(AThemedObjectType) != nullptr;
}

// ---------------------------------------------------------------------------
// TcxContainerViewInfo

void TcxContainerViewInfo::Create()
{
  inherited::Create();
  ContainerState = {TcxContainerStateItem::csNormal};
  BorderColor = vcl::clDefault;
  FBackgroundColor = vcl::clDefault;
}

void TcxContainerViewInfo::DrawBorder(TcxCanvas* ACanvas, const TRect& R)
{
  Painter->DrawContainerBorder(ACanvas, R, BorderStyle, BorderWidth, BorderColor, Edges);
}

void TcxContainerViewInfo::InternalPaint(TcxCanvas* ACanvas)
{
  if (NativeStyle)
    PaintNative(ACanvas);
  else
    PaintNonNative(ACanvas);
}

void TcxContainerViewInfo::Assign(rtl::TObject* Source)
{
  if (rtl::Is<TcxContainerViewInfo>(Source))
    ClientRect = static_cast<TcxContainerViewInfo*>(Source)->ClientRect;
}

TcxRegion* TcxContainerViewInfo::GetUpdateRegion(TcxContainerViewInfo*)
{
  return rtl::New<TcxRegion>();
}

void TcxContainerViewInfo::Offset(int DX, int DY)
{
  if (!FCalculated)
    return;
  OffsetRect(&BorderRect, DX, DY);
  OffsetRect(&Bounds, DX, DY);
  OffsetRect(&ClientRect, DX, DY);
}

void TcxContainerViewInfo::Paint(TcxCanvas* ACanvas)
{
  InternalPaint(ACanvas);
}

void TcxContainerViewInfo::UpdateStyle(TcxContainerStyle* AStyle)
{
  Font = AStyle->GetFont();
  Painter = AStyle->GetLookAndFeel()->GetPainter();
  UseSkins = AStyle->GetLookAndFeel()->GetSkinPainter() != nullptr;
}

void TcxContainerViewInfo::PaintNonNative(TcxCanvas* ACanvas)
{
  TRect R = BorderRect;
  R.left -= BorderWidth;
  R.top -= BorderWidth;
  if (Edges.Contains(TcxBorder::bRight))
    R.right += BorderWidth;
  if (Edges.Contains(TcxBorder::bBottom))
    R.bottom += BorderWidth;
  if (Shadow)
    cxDrawContainerShadow(ACanvas, R);
  if (!Edges.Contains(TcxBorder::bRight))
    R.right += BorderWidth;
  if (!Edges.Contains(TcxBorder::bBottom))
    R.bottom += BorderWidth;
  DrawBorder(ACanvas, R);
  ACanvas->FillRect(BorderRect, FBackgroundColor);
}

void TcxContainerViewInfo::PaintNative(TcxCanvas* ACanvas)
{
  if (BorderStyle == TcxContainerBorderStyle::cbsNone) {
    ACanvas->FillRect(Bounds, FBackgroundColor);
    return;
  }
  TRect AContentRect = Bounds;
  if (HTHEME ATheme = dxOpenTheme(ThemedObjectType))
    dxUxGetThemeBackgroundContentRect(ATheme, ACanvas->GetHandle(), 1, NativeState, Bounds, &AContentRect);
  ACanvas->FillRect(AContentRect, FBackgroundColor);
  // The frame takes the theme's list-box border while composition is on,
  // else the combo box's.
  const bool AComposition = cxIsCompositionEnabled();
  COLORREF ABorderColor = GetSysColor(COLOR_WINDOWFRAME);
  if (HTHEME ATheme = dxOpenTheme(AComposition ? TdxThemedObjectType::totListBox : TdxThemedObjectType::totComboBox))
    dxUxGetThemeColor(ATheme, AComposition ? 3 : 1, 1, TMT_BORDERCOLOR, &ABorderColor);
  cxFillFrameBetweenRects(ACanvas, Bounds, AContentRect, static_cast<TColor>(ABorderColor));
}
