#include "controls/cxDragImages.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "controls/cxWindowUtils.h"
#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/cxGraphicsDraw.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/GraphicsHandles.h"

using enum TcxArrowPlace;

namespace {

using TSetLayeredWindowAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

TSetLayeredWindowAttributes SetLayeredWindowAttributesFunc()
{
  static const auto func = reinterpret_cast<TSetLayeredWindowAttributes>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetLayeredWindowAttributes")));
  return func;
}

bool IsValidColor(vcl::TColor AColor)
{
  return AColor != vcl::clNone && AColor != vcl::clDefault;
}

// 0xAARRGGBB of a colour, alpha ignored.
std::uint32_t PixelOf(vcl::TColor AColor)
{
  const COLORREF rgb = static_cast<COLORREF>(vcl::ColorToRGB(AColor));
  return (std::uint32_t{GetRValue(rgb)} << 16) | (std::uint32_t{GetGValue(rgb)} << 8) | GetBValue(rgb);
}

}  // namespace

bool cxIsLayeredWindowAttributesAvailable()
{
  return SetLayeredWindowAttributesFunc() != nullptr;
}

// ---------------------------------------------------------------------------
// TcxCustomDragImage

void TcxCustomDragImage::Create()
{
  inherited::Create(nullptr);
  FVisible = false;
  FCanvas = rtl::New<TcxCanvas>(inherited::GetCanvas());
  SetBounds(0, 0, 0, 0);
  FAlphaBlend = true;
  FAlphaBlendValue = 180;
}

void TcxCustomDragImage::Destroy()
{
  if (FPopupParent)
    FPopupParent->RemoveFreeNotification(this);
  rtl::FreeAndNil(FCanvas);
  inherited::Destroy();
}

void TcxCustomDragImage::Init(const TRect& ASourceBounds, const TPoint& ASourcePoint)
{
  SetBounds(GetLeft(), GetTop(), ASourceBounds.right - ASourceBounds.left, ASourceBounds.bottom - ASourceBounds.top);
  FPositionOffset = TPoint{ASourcePoint.x - ASourceBounds.left, ASourcePoint.y - ASourceBounds.top};
}

void TcxCustomDragImage::MoveTo(const TPoint& APosition)
{
  SetBounds(APosition.x - FPositionOffset.x, APosition.y - FPositionOffset.y, GetWidth(), GetHeight());
}

void TcxCustomDragImage::Offset(int X, int Y)
{
  SetBounds(GetLeft() + X, GetTop() + Y, GetWidth(), GetHeight());
}

void TcxCustomDragImage::Show(int ACmdShow)
{
  cxSetWindowZOrder(GetHandle(), HWND_TOPMOST, false, SWP_NOOWNERZORDER);
  ShowWindow(GetHandle(), ACmdShow);
  UpdateLayeredAttributes();
  Update();
}

void TcxCustomDragImage::Hide()
{
  if (HandleAllocated())
    ShowWindow(GetHandle(), SW_HIDE);
}

bool TcxCustomDragImage::GetVisible()
{
  return HandleAllocated() && IsWindowVisible(GetHandle());
}

void TcxCustomDragImage::SetVisible(bool AValue)
{
  if (AValue == GetVisible())
    return;
  if (AValue)
    Show(SW_SHOWNA);
  else
    Hide();
}

void TcxCustomDragImage::SetAlphaBlend(bool AValue)
{
  if (AValue == FAlphaBlend)
    return;
  FAlphaBlend = AValue;
  UpdateLayeredAttributes();
}

void TcxCustomDragImage::SetAlphaBlendValue(BYTE AValue)
{
  if (AValue == FAlphaBlendValue)
    return;
  FAlphaBlendValue = AValue;
  UpdateLayeredAttributes();
}

void TcxCustomDragImage::SetTransparentColor(bool AValue)
{
  if (AValue == FTransparentColor)
    return;
  FTransparentColor = AValue;
  UpdateLayeredAttributes();
}

void TcxCustomDragImage::SetTransparentColorValue(vcl::TColor AValue)
{
  if (AValue == FTransparentColorValue)
    return;
  FTransparentColorValue = AValue;
  UpdateLayeredAttributes();
}

void TcxCustomDragImage::SetPopupParent(vcl::TWinControl* AValue)
{
  if (AValue == FPopupParent)
    return;
  if (FPopupParent)
    FPopupParent->RemoveFreeNotification(this);
  FPopupParent = AValue;
  if (FPopupParent)
    FPopupParent->FreeNotification(this);
  if (HandleAllocated())
    RecreateWnd();
}

void TcxCustomDragImage::Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation)
{
  inherited::Notification(AComponent, AOperation);
  if (AOperation == rtl::TOperation::opRemove && AComponent == FPopupParent)
    FPopupParent = nullptr;
}

bool TcxCustomDragImage::CanUseLayeredAttributes()
{
  return !GetComponentState().Contains(rtl::TComponentStateFlag::csDesigning) && cxIsLayeredWindowAttributesAvailable();
}

// The popup parent, else the active form, else the main form when it
// stands on the taskbar, else the application's window.
HWND TcxCustomDragImage::GetParentWindow()
{
  if (FPopupParent)
    return FPopupParent->GetHandle();
  if (vcl::TCustomForm* form = vcl::Screen()->GetActiveForm())
    return form->GetHandle();
  vcl::TApplication* application = vcl::detail::ExistingApplication();
  if (!application)
    return nullptr;
  if (application->GetMainFormOnTaskBar()) {
    vcl::TCustomForm* mainForm = application->GetMainForm();
    return mainForm && mainForm->HandleAllocated() ? mainForm->GetHandle() : nullptr;
  }
  return application->GetHandle();
}

void TcxCustomDragImage::CreateParams(vcl::TCreateParams& AParams)
{
  inherited::CreateParams(AParams);
  AParams.Style = WS_POPUP;
  AParams.ExStyle = WS_EX_TOPMOST;
  if (CanUseLayeredAttributes() && (FAlphaBlend || FTransparentColor))
    AParams.ExStyle |= WS_EX_LAYERED;
  AParams.WndParent = GetParentWindow();
}

// A layered window shows nothing until its attributes are set.
void TcxCustomDragImage::CreateWnd()
{
  inherited::CreateWnd();
  UpdateLayeredAttributes();
}

void TcxCustomDragImage::UpdateLayeredAttributes()
{
  if (!CanUseLayeredAttributes() || !HandleAllocated())
    return;
  const HWND wnd = GetHandle();
  const LONG exStyle = GetWindowLongW(wnd, GWL_EXSTYLE);
  if (FAlphaBlend || FTransparentColor) {
    if (!(exStyle & WS_EX_LAYERED))
      SetWindowLongW(wnd, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    DWORD flags = 0;
    if (FAlphaBlend)
      flags |= LWA_ALPHA;
    if (FTransparentColor)
      flags |= LWA_COLORKEY;
    SetLayeredWindowAttributesFunc()(wnd, static_cast<COLORREF>(vcl::ColorToRGB(FTransparentColorValue)),
                                     FAlphaBlendValue, flags);
  } else {
    if (exStyle & WS_EX_LAYERED)
      SetWindowLongW(wnd, GWL_EXSTYLE, exStyle & ~WS_EX_LAYERED);
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE);
  }
}

// ---------------------------------------------------------------------------
// TcxDragImage

void TcxDragImage::Create()
{
  FImage = rtl::New<TcxAlphaBitmap>();
  inherited::Create();
}

void TcxDragImage::Destroy()
{
  inherited::Destroy();
  rtl::FreeAndNil(FImage);
}

void TcxDragImage::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
  inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FImage)
    FImage->SetSize(AWidth, AHeight);
}

TcxCanvas* TcxDragImage::GetcxCanvas()
{
  return FImage->GetcxCanvas();
}

void TcxDragImage::Paint()
{
  inherited::Paint();
  inherited::GetcxCanvas()->Draw(0, 0, FImage);
}

// ---------------------------------------------------------------------------
// TcxSizeFrame

void TcxSizeFrame::Create(int AFrameWidth)
{
  inherited::Create();
  SetAlphaBlend(false);
  FFrameWidth = AFrameWidth;
  FRegion = rtl::New<TcxRegion>();
  // Every other pixel black: filled with it, the frame is a fine hatch.
  FPattern = rtl::New<vcl::TBitmap>();
  FPattern->SetPixelFormat(vcl::TPixelFormat::pf24bit);
  FPattern->SetSize(8, 8);
  std::vector<std::uint32_t> pixels(64);
  for (int i = 0; i < 64; ++i)
    pixels[static_cast<std::size_t>(i)] = ((i / 8 + i % 8) % 2) ? 0xFFFFFFu : 0xFF000000u;
  cxWriteBitmapPixels(FPattern, pixels);
}

void TcxSizeFrame::Destroy()
{
  inherited::Destroy();
  rtl::FreeAndNil(FPattern);
  rtl::FreeAndNil(FRegion);
}

void TcxSizeFrame::DrawSizeFrame(const TRect& ARect)
{
  rtl::Free(FRegion);
  FRegion = rtl::New<TcxRegion>(0, 0, ARect.right - ARect.left, ARect.bottom - ARect.top);
  SetBoundsRect(ARect);
}

void TcxSizeFrame::DrawSizeFrame(const TRect& ARect, const TcxRegion* ARegion)
{
  TcxRegion* copy = ARegion ? ARegion->Clone() : rtl::New<TcxRegion>();
  rtl::Free(FRegion);
  FRegion = copy;
  SetBoundsRect(ARect);
}

void TcxSizeFrame::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
  inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FRegion && HandleAllocated() && 2 * FFrameWidth < AWidth && 2 * FFrameWidth < AHeight)
    ApplyRegion();
}

void TcxSizeFrame::CreateWnd()
{
  inherited::CreateWnd();
  if (FRegion && 2 * FFrameWidth < GetWidth() && 2 * FFrameWidth < GetHeight())
    ApplyRegion();
}

// The inside is what stays in the region when it moves by the frame width
// in each of the four directions; the frame is the rest.
void TcxSizeFrame::ApplyRegion()
{
  if (!FFillSelection) {
    const rtl::TOwnedPtr<TcxRegion> inside(FRegion->Clone());
    const TPoint shifts[] = {{FFrameWidth, 0}, {0, FFrameWidth}, {-FFrameWidth, 0}, {0, -FFrameWidth}};
    for (const TPoint& shift : shifts) {
      TcxRegion* moved = FRegion->Clone();
      moved->Offset(shift);
      inside->Combine(moved, TcxRegionOperation::roIntersect);
    }
    FRegion->Combine(inside->GetHandle(), TcxRegionOperation::roSubtract);
  }
  const rtl::TOwnedPtr<TcxRegion> current(rtl::New<TcxRegion>());
  const bool hasRegion = GetWindowRgn(GetHandle(), current->GetHandle()) != ERROR;
  if (hasRegion && FRegion->IsEqual(current.get()))
    return;
  // The window owns the region it is given.
  vcl::TOwnedRegion windowRegion(CreateRectRgn(0, 0, 0, 0));
  CombineRgn(windowRegion.Get(), FRegion->GetHandle(), nullptr, RGN_COPY);
  if (SetWindowRgn(GetHandle(), windowRegion.Get(), TRUE))
    windowRegion.Release();
}

void TcxSizeFrame::Paint()
{
  GetcxCanvas()->FillRect(GetClientRect(), FPattern);
}

// ---------------------------------------------------------------------------
// TcxDragAndDropArrow

void TcxDragAndDropArrow::Create(bool ATransparent)
{
  inherited::Create();
  FTransparent = ATransparent;
  FBorderColor = vcl::clDefault;
  FColor = vcl::clDefault;
  SetAlphaBlend(false);
  if (GetTransparent()) {
    SetTransparentColorValue(GetImageBackColor());
    SetTransparentColor(true);
  }
}

const wchar_t* TcxDragAndDropArrow::GlyphResourceName(const TdxScaleFactor* AScaleFactor)
{
  const int percent = AScaleFactor ? AScaleFactor->Apply(100) : 100;
  if (percent >= 200)
    return L"CX_DROPARROW_200";
  if (percent >= 150)
    return L"CX_DROPARROW_150";
  return L"CX_DROPARROW";
}

// The glyph points up, from below the area; the other places turn it.
vcl::TBitmap* TcxDragAndDropArrow::GetGlyph(TcxArrowPlace APlace, const TdxScaleFactor* AScaleFactor)
{
  rtl::TOwnedPtr<TcxBitmap> glyph(rtl::New<TcxBitmap>());
  glyph->LoadFromResourceName(GetModuleHandleW(nullptr), GlyphResourceName(AScaleFactor));
  glyph->SetTransparent(true);
  static constexpr TcxRotationAngle kAngles[] = {TcxRotationAngle::raMinus90, TcxRotationAngle::ra180,
                                                 TcxRotationAngle::raPlus90, TcxRotationAngle::ra0};
  glyph->Rotate(kAngles[static_cast<int>(APlace)]);
  return glyph.release();
}

TRect TcxDragAndDropArrow::CalculateBounds(const TRect& AAreaBounds, const TRect& AClientRect, TcxArrowPlace APlace,
                                           const TdxScaleFactor* AScaleFactor, bool AUseRightToLeftAlignment)
{
  TRect R = AAreaBounds;
  if (AClientRect.right > AClientRect.left && AClientRect.bottom > AClientRect.top) {
    R.left = std::clamp(R.left, AClientRect.left, AClientRect.right - 1);
    R.right = std::clamp(R.right, AClientRect.left, AClientRect.right - 1);
    R.top = std::clamp(R.top, AClientRect.top, AClientRect.bottom - 1);
    R.bottom = std::clamp(R.bottom, AClientRect.top, AClientRect.bottom - 1);
  }
  const rtl::TOwnedPtr<vcl::TBitmap> glyph(GetGlyph(APlace, AScaleFactor));
  const TSize S{glyph->GetWidth(), glyph->GetHeight()};
  switch (APlace) {
    case apLeft:
    case apRight:
      R.bottom = R.top + 1;
      R = cxRectCenterVertBox(R, S.cy);
      if (APlace == apLeft)
        return TRect{R.left - S.cx, R.top, R.left, R.bottom};
      return TRect{R.right, R.top, R.right + S.cx, R.bottom};
    case apTop:
    case apBottom:
      if (AUseRightToLeftAlignment)
        R.left = R.right - 1;
      else
        R.right = R.left + 1;
      R = cxRectCenterHorzBox(R, S.cx);
      if (APlace == apTop)
        return TRect{R.left, R.top - S.cy, R.right, R.top};
      return TRect{R.left, R.bottom, R.right, R.bottom + S.cy};
  }
  return R;
}

void TcxDragAndDropArrow::Draw(TcxCanvas* ACanvas, const TRect& ABounds, TcxArrowPlace APlace,
                               const TdxScaleFactor* AScaleFactor)
{
  Draw(ACanvas, ABounds, APlace, vcl::clDefault, vcl::clDefault, AScaleFactor);
}

void TcxDragAndDropArrow::Draw(TcxCanvas* ACanvas, const TRect& ABounds, TcxArrowPlace APlace,
                               vcl::TColor AArrowBorderColor, vcl::TColor AArrowColor,
                               const TdxScaleFactor* AScaleFactor)
{
  const rtl::TOwnedPtr<vcl::TBitmap> glyph(GetGlyph(APlace, AScaleFactor));
  if (IsValidColor(AArrowBorderColor) && IsValidColor(AArrowColor)) {
    std::vector<std::uint32_t> pixels = cxReadBitmapPixels(glyph.get());
    const std::uint32_t border = PixelOf(AArrowBorderColor);
    const std::uint32_t fill = PixelOf(AArrowColor);
    for (std::uint32_t& pixel : pixels) {
      const std::uint32_t rgb = pixel & 0xFFFFFFu;
      if (rgb == 0x000000u)
        pixel = (pixel & 0xFF000000u) | border;
      else if (rgb == 0x00FF00u)
        pixel = (pixel & 0xFF000000u) | fill;
    }
    cxWriteBitmapPixels(glyph.get(), pixels);
  }
  ACanvas->Draw(ABounds.left, ABounds.top, glyph.get());
}

void TcxDragAndDropArrow::Init(vcl::TControl* AOwner, const TRect& AAreaBounds, const TRect& AClientRect,
                               TcxArrowPlace APlace)
{
  const TPoint origin = AOwner ? AOwner->ClientToScreen(TPoint{0, 0}) : TPoint{0, 0};
  Init(origin, AAreaBounds, AClientRect, APlace);
}

void TcxDragAndDropArrow::Init(const TPoint& AOwnerOrigin, const TRect& AAreaBounds, const TRect& AClientRect,
                               TcxArrowPlace APlace)
{
  const rtl::TOwnedPtr<TdxScaleFactor> scaleFactor(rtl::New<TdxScaleFactor>());
  scaleFactor->Assign(dxGetMonitorDPI(MonitorFromPoint(AOwnerOrigin, MONITOR_DEFAULTTONEAREST)), 96, false);
  const TRect bounds = cxRectOffsetByPoint(
      CalculateBounds(AAreaBounds, AClientRect, APlace, scaleFactor.get(), UseRightToLeftAlignment()), AOwnerOrigin);
  HandleNeeded();
  SetBoundsRect(bounds);
  TcxCanvas* canvas = GetcxCanvas();
  const TRect client{0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top};
  canvas->FillRect(client, GetImageBackColor());
  Draw(canvas, client, APlace, FBorderColor, FColor, scaleFactor.get());
  if (!GetTransparent()) {
    // The window takes the arrow's shape; the window owns the region.
    vcl::TOwnedRegion shape(cxCreateRegionFromBitmap(GetImage(), GetImageBackColor()));
    if (shape.Get() && SetWindowRgn(GetHandle(), shape.Get(), TRUE))
      shape.Release();
  }
}
