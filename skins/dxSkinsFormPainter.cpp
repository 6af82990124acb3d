// The painter of a skinned frame: the client background, the caption with
// its buttons and text, the borders, the menu-bar edge, the MDI client edge
// and the window scroll bars, each drawn through an element cache.
#include <algorithm>

#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsControls.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/GraphicsHandles.h"
#include "skins/dxSkinsForm.h"
#include "skins/dxSkinsLookAndFeelPainter.h"

namespace {

int SideIndex(TcxBorder ASide)
{
  return static_cast<int>(ASide);
}

bool IsEmptyRect(const TRect& R)
{
  return R.right <= R.left || R.bottom <= R.top;
}

// A memory DC with a bitmap compatible with ADC, selected while it lives.
class TMemoryBuffer {
 public:
  TMemoryBuffer(HDC ADC, int AWidth, int AHeight)
      : FDC(CreateCompatibleDC(ADC)),
        FBitmap(CreateCompatibleBitmap(ADC, std::max(AWidth, 1), std::max(AHeight, 1))),
        FOldBitmap(SelectObject(FDC.Get(), FBitmap.Get()))
  {
  }
  TMemoryBuffer(const TMemoryBuffer&) = delete;
  TMemoryBuffer& operator=(const TMemoryBuffer&) = delete;
  ~TMemoryBuffer() { SelectObject(FDC.Get(), FOldBitmap); }

  HDC DC() const { return FDC.Get(); }

 private:
  vcl::TOwnedDC FDC;
  vcl::TOwnedBitmap FBitmap;
  HGDIOBJ FOldBitmap;
};

}  // namespace

void TdxSkinFormPainter::Create(TdxSkinFormNonClientAreaInfo* AViewInfo)
{
  inherited::Create();
  FViewInfo = AViewInfo;
  FBackgroundCache = rtl::New<TdxSkinElementCache>();
  for (TdxSkinElementCache*& cache : FBordersCache)
    cache = rtl::New<TdxSkinElementCache>();
  for (TdxSkinElementCache*& cache : FIconsCache)
    cache = rtl::New<TdxSkinElementCache>();
}

void TdxSkinFormPainter::Destroy()
{
  for (TdxSkinElementCache*& cache : FIconsCache)
    rtl::FreeAndNil(cache);
  for (TdxSkinElementCache*& cache : FBordersCache)
    rtl::FreeAndNil(cache);
  rtl::FreeAndNil(FBackgroundCache);
  inherited::Destroy();
}

void TdxSkinFormPainter::BeginPaint(HDC ADestDC)
{
  FDC = ADestDC;
  FNeedRelease = ADestDC == nullptr;
  if (FNeedRelease)
    FDC = GetDCEx(FViewInfo->GetHandle(), nullptr, DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS | DCX_VALIDATE);
  cxPaintCanvas()->BeginPaint(FDC);
}

void TdxSkinFormPainter::EndPaint()
{
  cxPaintCanvas()->EndPaint();
  if (FNeedRelease)
    vcl::TWindowDC(FViewInfo->GetHandle(), FDC).Reset();
  FNeedRelease = false;
  FDC = nullptr;
}

void TdxSkinFormPainter::FlushCache()
{
  for (TdxSkinElementCache* cache : FBordersCache)
    cache->Flush();
  for (TdxSkinElementCache* cache : FIconsCache)
    cache->Flush();
  FBackgroundCache->Flush();
}

bool TdxSkinFormPainter::IsRectVisible(const TRect& R)
{
  if (HRGN update = FViewInfo->GetUpdateRgn())
    if (!RectInRegion(update, &R))
      return false;
  return cxPaintCanvas()->RectVisible(R);
}

bool TdxSkinFormPainter::Active() const
{
  return FViewInfo->GetActive();
}

TdxSkinElementState TdxSkinFormPainter::FrameState() const
{
  return Active() ? TdxSkinElementState::esActive : TdxSkinElementState::esActiveDisabled;
}

TdxSkinLookAndFeelPainter* TdxSkinFormPainter::Painter() const
{
  return FViewInfo->GetPainter();
}

TdxSkinLookAndFeelPainterInfo* TdxSkinFormPainter::PainterInfo() const
{
  return FViewInfo->GetPainterInfo();
}

TdxSkinFormScrollBarsController* TdxSkinFormPainter::ScrollBars() const
{
  return FViewInfo->GetScrollBarsController();
}

TdxSkinElement* TdxSkinFormPainter::FormContent() const
{
  return dxSkinCheckElement(PainterInfo() ? PainterInfo()->FormContent : nullptr);
}

vcl::TColor TdxSkinFormPainter::FormContentTextColor() const
{
  if (!Painter())
    return vcl::clWindowText;
  const vcl::TColor color = FormContent()->GetTextColor();
  return color == vcl::clDefault ? Painter()->DefaultContentTextColor() : color;
}

bool TdxSkinFormPainter::IsBordersThin() const
{
  for (TcxBorder side : {TcxBorder::bLeft, TcxBorder::bTop, TcxBorder::bRight, TcxBorder::bBottom})
    if (FViewInfo->GetSkinBorderWidth(side) < 3)
      return true;
  return false;
}

TdxSkinElement* TdxSkinFormPainter::GetIconElement(TdxSkinFormIcon AIcon) const
{
  return FViewInfo->GetIconElement(AIcon);
}

// ---------------------------------------------------------------------------
// The client background

void TdxSkinFormPainter::DrawWindowBackground()
{
  if (!PainterInfo())
    return;
  TcxPaintCanvas* canvas = cxPaintCanvas();
  canvas->SaveState();
  const rtl::Finally restore([&] { canvas->RestoreState(); });
  TRect R;
  if (FViewInfo->IsRightToLeftLayout() && !FNeedRelease) {
    const TRect& client = FViewInfo->FClientRect;
    R = TRect(0, 0, client.right - client.left, client.bottom - client.top);
  } else {
    // The client area is painted in window coordinates, so the background
    // continues seamlessly into the frame.
    R = FViewInfo->ScreenToClient(FViewInfo->FClientRect);
    POINT origin{};
    GetWindowOrgEx(FDC, &origin);
    SetWindowOrgEx(FDC, origin.x + R.left, origin.y + R.top, nullptr);
  }
  DrawBackground(FDC, R);
}

void TdxSkinFormPainter::DrawBackground(HDC DC, const TRect& R)
{
  const int saved = SaveDC(DC);
  const rtl::Finally restore([&] { RestoreDC(DC, saved); });
  TRect area = FViewInfo->ContentRect();
  if (FViewInfo->IsRightToLeftLayout() && !FNeedRelease)
    area = TRect(0, 0, area.right - area.left, area.bottom - area.top);
  if (IntersectClipRect(DC, area.left, area.top, area.right, area.bottom) == NULLREGION)
    return;
  if (IntersectClipRect(DC, R.left, R.top, R.right, R.bottom) == NULLREGION)
    return;
  if (FViewInfo->IsRightToLeftLayout())
    --area.left;
  TdxSkinElement* content = FormContent();
  if (!content->GetImage() || content->GetImage()->Empty())
    content->Draw(DC, area, FViewInfo->GetScaleFactor(), 0, TdxSkinElementState::esNormal);
  else
    FBackgroundCache->DrawEx(DC, content, area, FViewInfo->GetScaleFactor(), TdxSkinElementState::esNormal, 0);
}

// ---------------------------------------------------------------------------
// The frame

void TdxSkinFormPainter::DrawWindowBorder()
{
  if (!PainterInfo())
    return;
  DrawMDIClientEdgeArea();
  DrawClientOffsetArea();

  const TRect caption = FViewInfo->GetBorderBounds(TcxBorder::bTop);
  if (!IsEmptyRect(caption)) {
    TMemoryBuffer buffer(FDC, caption.right, caption.bottom);
    DrawWindowCaption(buffer.DC(), caption, FViewInfo->CaptionElement());
    BitBlt(FDC, 0, 0, caption.right, caption.bottom, buffer.DC(), 0, 0, SRCCOPY);
  }

  if (IsBordersThin()) {
    DrawThinBorders();
  } else {
    const int captionBottom = caption.bottom;
    const int bottomTop = FViewInfo->GetBorderBounds(TcxBorder::bBottom).top;
    for (TcxBorder side : {TcxBorder::bLeft, TcxBorder::bRight, TcxBorder::bBottom}) {
      TRect R = FViewInfo->GetBorderBounds(side);
      if (side != TcxBorder::bBottom) {
        R.top = captionBottom;
        R.bottom = bottomTop;
      }
      if (!IsEmptyRect(R) && IsRectVisible(R))
        DrawBorder(FDC, R, FViewInfo->IsAlphaBlendUsed(), side);
    }
  }
  DrawMenuSeparator();
  DrawWindowScrollArea();
}

void TdxSkinFormPainter::DrawThinBorders()
{
  const TRect bottom = FViewInfo->GetBorderBounds(TcxBorder::bBottom);
  if (!IsEmptyRect(bottom))
    DrawBorder(FDC, bottom, true, TcxBorder::bBottom, true);
  const int top = FViewInfo->GetBorderBounds(TcxBorder::bTop).bottom;
  const int bottomEdge = FViewInfo->FWindowBounds.bottom - FViewInfo->GetSkinBorderWidth(TcxBorder::bBottom);
  for (TcxBorder side : {TcxBorder::bLeft, TcxBorder::bRight}) {
    TRect R = FViewInfo->GetBorderBounds(side);
    R.top = top;
    R.bottom = bottomEdge;
    if (!IsEmptyRect(R) && IsRectVisible(R))
      DrawBorder(FDC, R, true, side, true);
  }
}

void TdxSkinFormPainter::DrawBorder(HDC DC, const TRect& R, bool ABuffered, TcxBorder ASide, bool AThin)
{
  TdxSkinElement* element = FViewInfo->GetFrameElement(ASide);
  TdxScaleFactor* scale = FViewInfo->GetScaleFactor();
  if (!ABuffered) {
    FBordersCache[SideIndex(ASide)]->DrawEx(DC, dxSkinCheckElement(element), R, scale, FrameState(), 0);
    return;
  }
  const int width = R.right - R.left;
  const int height = R.bottom - R.top;
  TMemoryBuffer buffer(DC, width, height);
  const TRect local(0, 0, width, height);
  // Nothing transparent may show through a layered window.
  FormContent()->Draw(buffer.DC(), local, scale, 0, TdxSkinElementState::esNormal);
  TRect frame = local;
  if (AThin) {
    const int skinWidth = FViewInfo->GetSkinBorderWidth(ASide);
    if (ASide == TcxBorder::bLeft)
      frame.right = std::min<int>(frame.right, skinWidth);
    else if (ASide == TcxBorder::bRight)
      frame.left = std::max<int>(frame.left, frame.right - skinWidth);
    else if (ASide == TcxBorder::bBottom)
      frame.top = std::max<int>(frame.top, frame.bottom - skinWidth);
  }
  if (!IsEmptyRect(frame))
    dxSkinCheckElement(element)->Draw(buffer.DC(), frame, scale, 0, FrameState());
  BitBlt(DC, R.left, R.top, width, height, buffer.DC(), 0, 0, SRCCOPY);
}

void TdxSkinFormPainter::DrawMDIClientEdgeArea()
{
  if (!FViewInfo->IsMDIClient() || !FViewInfo->HasClientEdge())
    return;
  const int saved = SaveDC(FDC);
  const rtl::Finally restore([&] { RestoreDC(FDC, saved); });
  const TRect& window = FViewInfo->FWindowBounds;
  const TSize edge = FViewInfo->FClientEdgeSize;
  ExcludeClipRect(FDC, window.left + edge.cx, window.top + edge.cy, window.right - edge.cx, window.bottom - edge.cy);
  FormContent()->Draw(FDC, window, FViewInfo->GetScaleFactor(), 0, TdxSkinElementState::esNormal);
}

void TdxSkinFormPainter::DrawClientOffsetArea()
{
  const int offset = FViewInfo->FClientOffset;
  if (offset <= 0 || FViewInfo->IsIconic())
    return;
  const int saved = SaveDC(FDC);
  const rtl::Finally restore([&] { RestoreDC(FDC, saved); });
  const TRect content = FViewInfo->ContentRect();
  ExcludeClipRect(FDC, content.left + offset, content.top + offset, content.right - offset, content.bottom - offset);
  DrawBackground(FDC, content);
}

void TdxSkinFormPainter::DrawMenuSeparator()
{
  if (!FViewInfo->HasMenu() || FViewInfo->IsIconic())
    return;
  FillRect(FDC, &FViewInfo->FMenuSeparatorBounds, GetSysColorBrush(COLOR_MENU));
}

void TdxSkinFormPainter::DrawWindowScrollArea()
{
  if (!FViewInfo->IsIconic() && FViewInfo->HasScrollsArea())
    DrawScrollBars();
}

// ---------------------------------------------------------------------------
// The caption

void TdxSkinFormPainter::DrawWindowCaption(HDC DC, const TRect& R, TdxSkinElement* AElement)
{
  DrawWindowCaptionBackground(DC, R, AElement);
  DrawWindowCaptionText(DC, FViewInfo->FCaptionTextBounds);
  TdxSkinFormIconInfoList* icons = FViewInfo->GetIconInfoList();
  for (int i = 0; i < icons->GetCount(); ++i) {
    TdxSkinFormIconInfo* icon = icons->GetIcon(i);
    DrawWindowIcon(DC, icon->FBounds, icon->FState, GetIconElement(icon->FIconType), icon->FIconType);
  }
}

void TdxSkinFormPainter::DrawWindowCaptionBackground(HDC DC, const TRect& R, TdxSkinElement* AElement)
{
  TRect area = R;
  if (FViewInfo->IsIconic()) {
    DrawBorder(DC, area, FViewInfo->IsAlphaBlendUsed(), TcxBorder::bBottom);
    --area.bottom;
  }
  FBordersCache[SideIndex(TcxBorder::bTop)]->DrawEx(DC, dxSkinCheckElement(AElement), area,
                                                     FViewInfo->GetScaleFactor(), FrameState(), 0);
}

void TdxSkinFormPainter::DrawWindowCaptionText(HDC DC, const TRect& R)
{
  if (FViewInfo->FCaption.empty())
    return;
  const HGDIOBJ oldFont = SelectObject(DC, FViewInfo->FCaptionFont->GetHandle());
  const int oldMode = SetBkMode(DC, TRANSPARENT);
  const COLORREF oldColor = GetTextColor(DC);
  const rtl::Finally restore([&] {
    SetTextColor(DC, oldColor);
    SetBkMode(DC, oldMode);
    SelectObject(DC, oldFont);
  });
  TRect textRect = R;
  if (FViewInfo->HasCaptionTextShadow()) {
    SetTextColor(DC, vcl::ColorToRGB(FViewInfo->FCaptionTextShadowColor));
    DrawText(DC, textRect, FViewInfo->FCaption);
  }
  // The text stands one pixel up and left of its shadow.
  textRect = TRect(R.left - 1, R.top - 1, R.right - 1, R.bottom - 1);
  SetTextColor(DC, vcl::ColorToRGB(FViewInfo->CaptionTextColor()));
  DrawText(DC, textRect, FViewInfo->FCaption);
}

void TdxSkinFormPainter::DrawText(HDC DC, const TRect& R, const rtl::String& AText)
{
  TRect textRect = R;
  cxDrawTextWithColor(DC, AText, textRect, TRANSPARENT, vcl::clDefault, -1,
                      DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_EDITCONTROL | DT_END_ELLIPSIS | DT_LEFT);
}

void TdxSkinFormPainter::DrawWindowIcon(HDC DC, const TRect& R, TdxSkinElementState AState, TdxSkinElement* AElement,
                                        TdxSkinFormIcon AIcon)
{
  if (!RectVisible(DC, &R))
    return;
  const bool menu = AIcon == TdxSkinFormIcon::sfiMenu;
  if (menu ? !FViewInfo->FSysMenuIcon : !AElement)
    return;
  const DWORD layout = GetLayout(DC);
  SetLayout(DC, 0);
  const rtl::Finally restoreLayout([&] { SetLayout(DC, layout); });
  if (!menu)
    FIconsCache[static_cast<int>(AIcon)]->DrawEx(DC, AElement, R, FViewInfo->GetScaleFactor(), AState, 0);
  else
    DrawIconEx(DC, R.left, R.top, FViewInfo->FSysMenuIcon, R.right - R.left, R.bottom - R.top, 0, nullptr,
               DI_NORMAL);
}

// ---------------------------------------------------------------------------
// The window scroll bars

void TdxSkinFormPainter::DrawScrollBars()
{
  TdxSkinFormScrollBarsController* scrollBars = ScrollBars();
  DrawScrollBar(scrollBars->GetScrollBarViewInfo(TScrollBarKind::sbHorizontal));
  DrawScrollBar(scrollBars->GetScrollBarViewInfo(TScrollBarKind::sbVertical));
  if (!scrollBars->SizeGripVisible() || !Painter())
    return;
  const TRect& grip = scrollBars->GetSizeGripBounds();
  const int width = grip.right - grip.left;
  const int height = grip.bottom - grip.top;
  TMemoryBuffer buffer(FDC, width, height);
  SetWindowOrgEx(buffer.DC(), grip.left, grip.top, nullptr);
  DrawBackground(buffer.DC(), grip);
  TcxPaintCanvas* canvas = cxPaintCanvas();
  canvas->BeginPaint(buffer.DC());
  {
    const rtl::Finally endPaint([&] { canvas->EndPaint(); });
    Painter()->DoDrawSizeGrip(canvas, grip, dxGetSystemScaleFactor());
  }
  SetWindowOrgEx(buffer.DC(), 0, 0, nullptr);
  BitBlt(FDC, grip.left, grip.top, width, height, buffer.DC(), 0, 0, SRCCOPY);
}

void TdxSkinFormPainter::DrawScrollBar(TdxSkinFormScrollBarViewInfo* AViewInfo)
{
  if (!AViewInfo || !AViewInfo->FVisible || !Painter())
    return;
  const TRect& bar = AViewInfo->FBounds;
  const int width = bar.right - bar.left;
  const int height = bar.bottom - bar.top;
  TMemoryBuffer buffer(FDC, width, height);
  SetWindowOrgEx(buffer.DC(), bar.left, bar.top, nullptr);
  const bool horizontal = AViewInfo->FKind == TScrollBarKind::sbHorizontal;
  TcxPaintCanvas* canvas = cxPaintCanvas();
  canvas->BeginPaint(buffer.DC());
  {
    const rtl::Finally endPaint([&] { canvas->EndPaint(); });
    DrawBackground(buffer.DC(), bar);
    Painter()->DrawScaledScrollBarBackground(canvas, bar, horizontal, dxGetSystemScaleFactor());
    for (TdxSkinFormScrollBarPartViewInfo* part : AViewInfo->FParts)
      if (part->FKind != TcxScrollBarPart::sbpNone && part->FVisible)
        Painter()->DrawScaledScrollBarPart(canvas, horizontal, part->FBounds, part->FKind, part->FState,
                                           dxGetSystemScaleFactor());
  }
  SetWindowOrgEx(buffer.DC(), 0, 0, nullptr);
  BitBlt(FDC, bar.left, bar.top, width, height, buffer.DC(), 0, 0, SRCCOPY);
}
