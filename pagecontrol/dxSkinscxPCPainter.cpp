#include "pagecontrol/dxSkinscxPCPainter.h"

#include <algorithm>

#include "core/cxGeometry.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "skins/dxSkinInfo.h"
#include "skins/dxSkinsCore.h"

namespace {

// The positions of the skin's page-control indents.
enum : int {
  RowIndentFar,
  RowIndentNear,
  SelectedHeaderDownGrow,
  SelectedHeaderHGrow,
  SelectedHeaderUpGrow,
  HeaderDownGrow,
  HeaderDownGrowBottomRight,
  SelectedHeaderDownGrowBottomRight
};

TdxSkinElementState ButtonSkinState(TcxPCNavigatorButtonState AState)
{
  switch (AState) {
    case TcxPCNavigatorButtonState::nbsPressed:
      return TdxSkinElementState::esPressed;
    case TcxPCNavigatorButtonState::nbsHotTrack:
      return TdxSkinElementState::esHot;
    case TcxPCNavigatorButtonState::nbsDisabled:
      return TdxSkinElementState::esDisabled;
    default:
      return TdxSkinElementState::esNormal;
  }
}

void dxSkinscxPCPainterInitialization()
{
  RegisterPainterClass(TcxPCPainterClass::Of<TcxPCSkinPainter>());
}

void dxSkinscxPCPainterFinalization()
{
  UnregisterPainterClass(TcxPCPainterClass::Of<TcxPCSkinPainter>());
}

// Draws the tab header, made for tabs on top, turned to the side the tab
// stands on, over what the canvas holds there.
void DrawHeader(TcxCanvas* ACanvas, TdxSkinElement* AHeader, const TRect& R, TcxTabPosition APosition,
                TdxSkinElementState AState, TdxScaleFactor* AScaleFactor)
{
  if (APosition == TcxTabPosition::tpTop) {
    AHeader->Draw(ACanvas->GetHandle(), R, AScaleFactor, 0, AState);
    return;
  }
  // The turn from tabs on top to the tab's side and back; tabs at the
  // bottom are mirrored instead.
  TcxRotationAngle toSide = TcxRotationAngle::ra0;
  TcxRotationAngle toTop = TcxRotationAngle::ra0;
  if (APosition == TcxTabPosition::tpLeft) {
    toSide = TcxRotationAngle::raPlus90;
    toTop = TcxRotationAngle::raMinus90;
  } else if (APosition == TcxTabPosition::tpRight) {
    toSide = TcxRotationAngle::raMinus90;
    toTop = TcxRotationAngle::raPlus90;
  }
  const bool flip = APosition == TcxTabPosition::tpBottom;
  const int width = R.right - R.left;
  const int height = R.bottom - R.top;
  if (width <= 0 || height <= 0)
    return;
  rtl::TOwnedPtr<TcxBitmap> bitmap(rtl::NewWith<TcxBitmap>([&](TcxBitmap* B) {
    B->CreateSize(width, height, vcl::TPixelFormat::pf24bit);
  }));
  // What lies behind the tab shows through a translucent header.
  BitBlt(bitmap->GetcxCanvas()->GetHandle(), 0, 0, width, height, ACanvas->GetHandle(), R.left, R.top, SRCCOPY);
  bitmap->Rotate(toTop, flip);
  AHeader->Draw(bitmap->GetcxCanvas()->GetHandle(), bitmap->GetClientRect(), AScaleFactor, 0, AState);
  bitmap->Rotate(toSide, flip);
  BitBlt(ACanvas->GetHandle(), R.left, R.top, width, height, bitmap->GetcxCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

}  // namespace

RTL_UNIT(dxSkinscxPCPainter, &dxSkinscxPCPainterInitialization, &dxSkinscxPCPainterFinalization);

void TcxPCSkinPainter::Create(TcxCustomTabControlViewInfo* AViewInfo)
{
  inherited::Create(AViewInfo);
  FFrameContentCache = rtl::New<TdxSkinElementCache>();
}

void TcxPCSkinPainter::Destroy()
{
  rtl::FreeAndNil(FFrameContentCache);
  inherited::Destroy();
}

bool TcxPCSkinPainter::HasLookAndFeel(TcxLookAndFeel* ALookAndFeel) const
{
  return ALookAndFeel->GetSkinPainter() != nullptr;
}

TdxSkinInfo* TcxPCSkinPainter::SkinInfo() const
{
  if (!FViewInfo)
    return nullptr;
  TcxCustomLookAndFeelPainter* skinPainter = FViewInfo->GetOwner()->GetControlLookAndFeel()->GetSkinPainter();
  TdxSkinLookAndFeelPainterInfo* info = nullptr;
  if (!skinPainter || !skinPainter->GetPainterData(&info))
    return nullptr;
  return info;
}

TdxSkinElement* TcxPCSkinPainter::HeaderElement() const
{
  TdxSkinInfo* info = SkinInfo();
  return info ? info->PageControlHeader : nullptr;
}

TdxSkinElement* TcxPCSkinPainter::PaneElement() const
{
  TdxSkinInfo* info = SkinInfo();
  if (!info)
    return nullptr;
  if (FViewInfo->IsTabsVisible())
    return info->PageControlPane;
  return FViewInfo->Properties()->GetShowFrame() ? info->GroupBoxElements[4] : info->GroupBoxClient;
}

int TcxPCSkinPainter::Indent(int AIndex) const
{
  TdxSkinInfo* info = SkinInfo();
  return info ? info->PageControlIndents[AIndex] : 0;
}

bool TcxPCSkinPainter::IsNativePainting()
{
  return SkinInfo() != nullptr;
}

TcxCustomLookAndFeelPainter* TcxPCSkinPainter::GetLookAndFeelPainter()
{
  TcxCustomLookAndFeelPainter* skinPainter = FViewInfo->GetOwner()->GetControlLookAndFeel()->GetSkinPainter();
  return skinPainter ? skinPainter : inherited::GetLookAndFeelPainter();
}

// ---------------------------------------------------------------------------
// Metrics

int TcxPCSkinPainter::CalculateTabNormalHeight()
{
  const int height = inherited::CalculateTabNormalHeight();
  TdxSkinElement* header = HeaderElement();
  if (!header)
    return height;
  TcxRect* offsets = header->GetContentOffset();
  return height + offsets->GetTop() + offsets->GetBottom() - 2;
}

int TcxPCSkinPainter::CalculateTabNormalWidth(TcxTabViewInfo* ATabViewInfo)
{
  int width = inherited::CalculateTabNormalWidth(ATabViewInfo);
  if (ATabViewInfo->GetDefinedWidth() > 0)
    width += GetBaseContentWidth();
  return width;
}

int TcxPCSkinPainter::GetBaseContentWidth()
{
  TdxSkinElement* header = HeaderElement();
  if (!header)
    return inherited::GetBaseContentWidth();
  TcxRect* offsets = header->GetContentOffset();
  return Scaled(offsets->GetLeft() + offsets->GetRight());
}

int TcxPCSkinPainter::GetTabTextWidth(TcxTabViewInfo* ATabViewInfo)
{
  return inherited::GetTabTextWidth(ATabViewInfo) + 2;
}

TPoint TcxPCSkinPainter::GetTabContentOffsets(int AIndex)
{
  TdxSkinElement* header = HeaderElement();
  if (!header)
    return inherited::GetTabContentOffsets(AIndex);
  TcxRect* offsets = header->GetContentOffset();
  return TPoint{Scaled(offsets->GetLeft()), Scaled(offsets->GetRight())};
}

TRect TcxPCSkinPainter::GetTabFullRectExtension(int AIndex)
{
  if (!SkinInfo() || AIndex < 0)
    return inherited::GetTabFullRectExtension(AIndex);
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  const int hGrow = Indent(SelectedHeaderHGrow);
  const int upGrow = Indent(SelectedHeaderUpGrow);
  const int downGrow = Indent(SelectedHeaderDownGrow);
  const int downGrowBottomRight = Indent(SelectedHeaderDownGrowBottomRight);
  if (tab->IsMainTab())
    switch (tab->PaintingPosition()) {
      case TcxTabPosition::tpBottom:
        return TRect{-hGrow, -downGrowBottomRight, hGrow, upGrow};
      case TcxTabPosition::tpLeft:
        return TRect{-upGrow, -hGrow, downGrow, hGrow};
      case TcxTabPosition::tpRight:
        return TRect{-downGrowBottomRight, -hGrow, upGrow, hGrow};
      default:
        return TRect{-hGrow, -upGrow, hGrow, downGrow};
    }
  // Other tabs only grow toward the page.
  switch (tab->PaintingPosition()) {
    case TcxTabPosition::tpBottom:
      return TRect{0, -(Indent(HeaderDownGrowBottomRight) + 1), 0, 0};
    case TcxTabPosition::tpLeft:
      return TRect{0, 0, Indent(HeaderDownGrow) + 1, 0};
    case TcxTabPosition::tpRight:
      return TRect{-(Indent(HeaderDownGrowBottomRight) + 1), 0, 0, 0};
    default:
      return TRect{0, 0, 0, Indent(HeaderDownGrow) + 1};
  }
}

TSize TcxPCSkinPainter::GetTabsDistance()
{
  if (!SkinInfo())
    return inherited::GetTabsDistance();
  const int grow = Indent(SelectedHeaderUpGrow);
  return FViewInfo->ActuallyRotate() ? TSize{grow, 0} : TSize{0, grow};
}

void TcxPCSkinPainter::CalculateTabsPosition(TcxPCTabsPosition& ATabsPosition)
{
  if (!SkinInfo()) {
    inherited::CalculateTabsPosition(ATabsPosition);
    return;
  }
  const TRect bounds = FViewInfo->GetControlBounds();
  const bool topOrBottom = FViewInfo->IsTopOrBottom();
  const int along = topOrBottom ? bounds.right : bounds.bottom;
  const int across = topOrBottom ? bounds.bottom : bounds.right;
  const int c = std::max(FViewInfo->GetHeaderButtonHeight() - GetHeaderButtonHeight(), 0);
  const int navigatorLength = CalculateHeaderButtons();
  TRect extended{Indent(RowIndentNear), c, along - Indent(RowIndentFar), across};
  if (navigatorLength > 0 && !FViewInfo->Properties()->GetMultiLine()) {
    const TcxPCNavigatorPosition position = FViewInfo->Properties()->GetNavigatorPosition();
    const bool atStart = topOrBottom ? position == TcxPCNavigatorPosition::npLeftTop ||
                                           position == TcxPCNavigatorPosition::npLeftBottom
                                     : position == TcxPCNavigatorPosition::npLeftTop ||
                                           position == TcxPCNavigatorPosition::npRightTop;
    if (atStart)
      extended.left = navigatorLength + 1;
    else
      extended.right = along - (navigatorLength + 1);
  }
  const int hGrow = Indent(SelectedHeaderHGrow);
  const TRect normal{extended.left + hGrow, c + Indent(SelectedHeaderUpGrow), extended.right - hGrow, across};
  SetTabsPosition(ATabsPosition, extended, normal);
}

int TcxPCSkinPainter::GetHeaderButtonWidthBase(TcxPCNavigatorButton AButton)
{
  TdxSkinInfo* info = SkinInfo();
  if (info && info->PageControlButtonHorz) {
    const int width = dxSkinElementScaledMinSize(info->PageControlButtonHorz, ScaleFactor()).cx;
    if (width > 0)
      return width;
  }
  return inherited::GetHeaderButtonWidthBase(AButton);
}

void TcxPCSkinPainter::GetPageClientRectOffset(TRect& AOffsets)
{
  TdxSkinElement* pane = PaneElement();
  if (!pane) {
    inherited::GetPageClientRectOffset(AOffsets);
    return;
  }
  // The pane's content offsets, each a pixel wider, turned as the offsets
  // of tabs on top.
  GetPageFrameOffsets(AOffsets);
  TcxRect* content = pane->GetContentOffset();
  const TRect frame = UnrotateTabRect(TRect{content->GetLeft() + 1, content->GetTop() + 1, content->GetRight() + 1,
                                            content->GetBottom() + 1},
                                      FViewInfo->TabPosition());
  AOffsets.left += frame.left;
  AOffsets.top += frame.top;
  AOffsets.right += frame.right;
  AOffsets.bottom += frame.bottom;
}

void TcxPCSkinPainter::GetTabsAreaExtents(TRect& AExtents)
{
  if (!SkinInfo()) {
    inherited::GetTabsAreaExtents(AExtents);
    return;
  }
  // The skin's tabs end where their row ends: no overlap into the page.
  TcxPCCustomPainter::GetTabsAreaExtents(AExtents);
}

vcl::TColor TcxPCSkinPainter::GetControlColor()
{
  TdxSkinInfo* info = SkinInfo();
  if (info && info->ContentColor)
    return info->ContentColor->GetValue();
  return inherited::GetControlColor();
}

vcl::TColor TcxPCSkinPainter::GetTabTextColor(int AIndex)
{
  TdxSkinInfo* info = SkinInfo();
  if (!info)
    return inherited::GetTabTextColor(AIndex);
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  TdxSkinColor* color = !tab->ActuallyEnabled() ? info->TabTextColorDisabled
                        : tab->IsMainTab()       ? info->TabTextColorActive
                        : tab->IsHotTrack()      ? info->TabTextColorHot
                                                 : info->TabTextColor;
  return color ? color->GetValue() : inherited::GetTabTextColor(AIndex);
}

// ---------------------------------------------------------------------------
// Drawing

void TcxPCSkinPainter::DrawFrame(TcxCanvas* ACanvas)
{
  if (!SkinInfo())
    inherited::DrawFrame(ACanvas);
}

void TcxPCSkinPainter::PaintPageClientArea(TcxCanvas* ACanvas)
{
  TdxSkinElement* pane = PaneElement();
  if (!pane) {
    inherited::PaintPageClientArea(ACanvas);
    return;
  }
  const TRect frame = GetPageFrameRect();
  if (frame.right <= frame.left || frame.bottom <= frame.top)
    return;
  if (pane->IsAlphaUsed())
    FillBackground(ACanvas, frame);
  ACanvas->SaveClipRegion();
  ACanvas->IntersectClipRect(frame);
  // A pane without a gradient is drawn from a cached rendering.
  if (pane->GetImage()->GradientBeginColor().GetValue() == vcl::clNone)
    FFrameContentCache->DrawEx(ACanvas->GetHandle(), pane, frame, ScaleFactor(), TdxSkinElementState::esNormal, 0);
  else
    pane->Draw(ACanvas->GetHandle(), frame, ScaleFactor(), 0, TdxSkinElementState::esNormal);
  ACanvas->RestoreClipRegion();
  ACanvas->ExcludeClipRect(frame);
}

void TcxPCSkinPainter::DrawTabs(TcxCanvas* ACanvas)
{
  if (!SkinInfo()) {
    inherited::DrawTabs(ACanvas);
    return;
  }
  const int main = FViewInfo->GetMainTabVisibleIndex();
  if (main != -1 && GetTabViewInfo(main)->ActuallyVisible())
    DrawTab(ACanvas, main);
  // The rows of the top-or-left part from the last to the first, then the
  // others in ascending order.
  TcxPCLineIndexBoundsArray lines;
  FViewInfo->InitializeLineBoundsArray(lines);
  const int topOrLeftRows = std::min(FViewInfo->GetTopOrLeftPartRowCount(), static_cast<int>(lines.size()));
  std::vector<int> rows;
  for (int row = topOrLeftRows - 1; row >= 0; --row)
    rows.push_back(row);
  for (int row = topOrLeftRows; row < static_cast<int>(lines.size()); ++row)
    rows.push_back(row);
  for (int row : rows)
    for (int i = lines[row].Left; lines[row].Left != -1 && i <= lines[row].Right; ++i)
      if (i != main)
        DrawTab(ACanvas, i);
}

void TcxPCSkinPainter::DrawTabFrame(TcxCanvas* ACanvas, int AIndex, const TRect& R)
{
  TdxSkinElement* header = HeaderElement();
  if (!header) {
    inherited::DrawTabFrame(ACanvas, AIndex, R);
    return;
  }
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  FillBackground(ACanvas, R);
  TdxSkinElement* pane = SkinInfo()->PageControlPane;
  if (pane && header->IsAlphaUsed()) {
    // A translucent tab shows the pane behind it.
    ACanvas->SaveClipRegion();
    ACanvas->IntersectClipRect(R);
    pane->Draw(ACanvas->GetHandle(), GetPageFrameRect(), ScaleFactor(), 0, TdxSkinElementState::esNormal);
    ACanvas->RestoreClipRegion();
  }
  TdxSkinElementState state = TdxSkinElementState::esNormal;
  if (!tab->ActuallyEnabled())
    state = TdxSkinElementState::esDisabled;
  else if (tab->IsMainTab())
    state = TdxSkinElementState::esPressed;
  else if (tab->IsHotTrack() || tab->IsHighlighted())
    state = TdxSkinElementState::esHot;
  DrawHeader(ACanvas, header, tab->GetFullRect(), tab->PaintingPosition(), state, ScaleFactor());
}


void TcxPCSkinPainter::DrawTabText(TcxCanvas* ACanvas, const TRect& R, int AIndex, bool AEnabled,
                                   const rtl::String& ACaption)
{
  if (!SkinInfo()) {
    inherited::DrawTabText(ACanvas, R, AIndex, AEnabled, ACaption);
    return;
  }
  DrawText(ACanvas, ACaption, AIndex, R);
}

void TcxPCSkinPainter::DrawNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButton AKind,
                                           TcxPCNavigatorButtonState AState)
{
  TdxSkinInfo* info = SkinInfo();
  if (!info || !info->PageControlButtonHorz || !info->PageControlButtonVert) {
    inherited::DrawNavigatorButton(ACanvas, R, AKind, AState);
    return;
  }
  const bool horizontal = FViewInfo->IsTopOrBottom();
  TdxSkinElement* element = horizontal ? info->PageControlButtonHorz : info->PageControlButtonVert;
  // Image indexes of the kinds: nbTopLeft, nbBottomRight, nbGoDialog, nbClose.
  static constexpr int horizontalImages[] = {1, 2, 3, 0};
  static constexpr int verticalImages[] = {2, 1, 3, 0};
  const int image = (horizontal ? horizontalImages : verticalImages)[static_cast<int>(AKind)];
  if (element->IsAlphaUsed())
    FillBackground(ACanvas, R);
  element->Draw(ACanvas->GetHandle(), R, ScaleFactor(), image, ButtonSkinState(AState));
}

void TcxPCSkinPainter::DrawHeaderButtonFace(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButtonState AState)
{
  TdxSkinInfo* info = SkinInfo();
  if (!info || !info->PageControlButton) {
    inherited::DrawHeaderButtonFace(ACanvas, R, AState);
    return;
  }
  if (info->PageControlButton->IsAlphaUsed())
    FillBackground(ACanvas, R);
  info->PageControlButton->Draw(ACanvas->GetHandle(), R, ScaleFactor(), 0, ButtonSkinState(AState));
}

// ---------------------------------------------------------------------------
// Image palettes

rtl::IPtr<IdxColorPalette> TcxPCSkinPainter::GetTabImagePalette()
{
  TdxSkinElement* header = HeaderElement();
  return header ? header->GetGlyphColorPalette(TdxSkinElementState::esNormal) : nullptr;
}

rtl::IPtr<IdxColorPalette> TcxPCSkinPainter::GetHeaderButtonImagePalette(TcxPCNavigatorButtonState AState)
{
  TdxSkinInfo* info = SkinInfo();
  if (!info || !info->PageControlButton)
    return nullptr;
  return info->PageControlButton->GetGlyphColorPalette(ButtonSkinState(AState));
}

rtl::IPtr<IdxColorPalette> TcxPCSkinPainter::GetTabButtonImagePalette(TcxPCNavigatorButtonState AState)
{
  return UseLookAndFeelTabButtons() ? inherited::GetTabButtonImagePalette(AState)
                                    : GetHeaderButtonImagePalette(AState);
}
