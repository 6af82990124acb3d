// The button tab painters: tabs drawn as a row of push buttons.
#include <algorithm>

#include "graphics/cxGraphics.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "pagecontrol/cxPCPainters.h"

// ---------------------------------------------------------------------------
// TcxPCButtonedPainter

bool TcxPCButtonedPainter::IsTabDrawnDown(int AIndex)
{
  if (AIndex < 0)
    return false;
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  // A tab the mouse holds down shows up until it is let go over it.
  return !tab->IsTracking() && (tab->IsPressed() || tab->IsSelected() || tab->IsMainTab());
}

vcl::TColor TcxPCButtonedPainter::GetTabColor(int AIndex)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  if (tab->IsHighlighted())
    return vcl::clHighlight;
  const vcl::TColor color = GetTabOwnColor(AIndex);
  if (color != vcl::clDefault)
    return color;
  return tab->IsMainTab() ? vcl::clBtnHighlight : vcl::clBtnFace;
}

TPoint TcxPCButtonedPainter::GetPressedShift(int AIndex)
{
  if (!IsTabPressable() || !IsTabDrawnDown(AIndex))
    return TPoint{0, 0};
  return FViewInfo->GetTextRotationAngle() == TcxRotationAngle::raPlus90 ? TPoint{-1, 1} : TPoint{1, -1};
}

TPoint TcxPCButtonedPainter::GetTabContentOffsets(int AIndex)
{
  const bool images = FViewInfo->HasImages();
  TPoint offsets = images ? TPoint{3, 4} : TPoint{4, 4};
  const TPoint shift = GetPressedShift(AIndex);
  offsets.x += shift.x;
  offsets.y += shift.y;
  if (IsTabPressable() && images && FViewInfo->GetTextRotationAngle() == TcxRotationAngle::raPlus90) {
    ++offsets.x;
    --offsets.y;
  }
  return TPoint{Scaled(offsets.x), Scaled(offsets.y)};
}

TPoint TcxPCButtonedPainter::GetTooLongTextContentOffsets(int AIndex)
{
  return GetTabContentOffsets(AIndex);
}

int TcxPCButtonedPainter::GetNavigatorOffsetAcross()
{
  return FViewInfo->Properties()->GetIsTabsContainer() ? Scaled(2) : 0;
}

int TcxPCButtonedPainter::GetNavigatorOffsetAlong()
{
  return FViewInfo->Properties()->GetIsTabsContainer() ? Scaled(2) : 0;
}

void TcxPCButtonedPainter::GetTabsAreaExtents(TRect& AExtents)
{
  inherited::GetTabsAreaExtents(AExtents);
  AExtents.top += 4;
}

void TcxPCButtonedPainter::CalculateTabsPosition(TcxPCTabsPosition& ATabsPosition)
{
  CalculateStandardTabsPosition(ATabsPosition);
}

TcxCustomLookAndFeelPainter* TcxPCButtonedPainter::GetLookAndFeelPainter()
{
  return cxLookAndFeelPaintersManager()->GetPainter(TcxLookAndFeelStyle::lfsStandard);
}

void TcxPCButtonedPainter::DrawTabFocusRect(TcxCanvas* ACanvas, int AIndex)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  if (!tab->IsFocused() || !FViewInfo->GetOwner()->GetControlFocused())
    return;
  TRect R = tab->GetFullRect();
  InflateRect(&R, -Scaled(1), -Scaled(1));
  ACanvas->GetFont()->SetColor(vcl::clBtnText);
  ACanvas->DrawFocusRect(R);
}

void TcxPCButtonedPainter::DrawTabs(TcxCanvas* ACanvas)
{
  int first, last;
  FViewInfo->InitializeVisibleTabRange(first, last);
  for (int i = first; first != -1 && i <= last; ++i)
    DrawTab(ACanvas, i);
}

// ---------------------------------------------------------------------------
// TcxPCButtonsPainter

bool TcxPCButtonsPainter::IsTabDrawnDown(int AIndex)
{
  if (AIndex < 0)
    return false;
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  return tab->IsTracking() || tab->IsPressed() || tab->IsSelected() || tab->IsMainTab();
}

void TcxPCButtonsPainter::DrawTabFrame(TcxCanvas* ACanvas, int AIndex, const TRect&)
{
  TRect R = GetTabViewInfo(AIndex)->GetFullRect();
  if (IsTabDrawnDown(AIndex)) {
    ACanvas->DrawComplexFrame(R, vcl::cl3DDkShadow, vcl::clBtnHighlight);
    InflateRect(&R, -1, -1);
    ACanvas->DrawComplexFrame(R, vcl::clBtnShadow, vcl::cl3DLight);
  } else {
    ACanvas->DrawComplexFrame(R, vcl::clBtnHighlight, vcl::cl3DDkShadow);
    InflateRect(&R, -1, -1);
    ACanvas->DrawComplexFrame(R, vcl::cl3DLight, vcl::clBtnShadow);
  }
  InflateRect(&R, -1, -1);
  ACanvas->FillRect(R, GetTabColor(AIndex));
}

// ---------------------------------------------------------------------------
// TcxPCFlatButtonsPainter

void TcxPCFlatButtonsPainter::DrawTabFrame(TcxCanvas* ACanvas, int AIndex, const TRect&)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  TRect R = tab->GetFullRect();
  if (IsTabDrawnDown(AIndex))
    DrawButtonFrame(ACanvas, R, true);
  else if (tab->IsHotTrack() || tab->IsTracking()) {
    ACanvas->DrawComplexFrame(R, vcl::clBtnHighlight, vcl::clBtnShadow);
    InflateRect(&R, -1, -1);
  }
  ACanvas->FillRect(R, GetTabColor(AIndex));
}

TRect TcxPCFlatButtonsPainter::GetSeparatorGap(int AIndex)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  if (AIndex + 1 >= FViewInfo->TabsViewInfoCount())
    return TRect{};
  TcxTabViewInfo* next = GetTabViewInfo(AIndex + 1);
  if (!next->ActuallyVisible() || next->GetVisibleRow() != tab->GetVisibleRow())
    return TRect{};
  const TRect full = tab->GetFullRect();
  const int gap = GetTabsDistance().cx;
  if (FViewInfo->IsVerticalText()) {
    if (FViewInfo->IsBottomToTopAlignment())
      return TRect{full.left, full.top - gap, full.right, full.top};
    return TRect{full.left, full.bottom, full.right, full.bottom + gap};
  }
  if (FViewInfo->UseRightToLeftAlignment())
    return TRect{full.left - gap, full.top, full.left, full.bottom};
  return TRect{full.right, full.top, full.right + gap, full.bottom};
}

void TcxPCFlatButtonsPainter::DrawTab(TcxCanvas* ACanvas, int AIndex)
{
  inherited::DrawTab(ACanvas, AIndex);
  const TRect gap = GetSeparatorGap(AIndex);
  if (gap.right <= gap.left || gap.bottom <= gap.top)
    return;
  // Two lines in the middle of the gap, one pixel shorter than the tab at
  // both ends.
  ACanvas->FillRect(gap, GetControlColor());
  if (FViewInfo->IsVerticalText()) {
    const int y = gap.top + (gap.bottom - gap.top - 2) / 2;
    ACanvas->FillRect(TRect{gap.left + 1, y, gap.right - 1, y + 1}, vcl::clBtnShadow);
    ACanvas->FillRect(TRect{gap.left + 1, y + 1, gap.right - 1, y + 2}, vcl::clBtnHighlight);
  } else {
    const int x = gap.left + (gap.right - gap.left - 2) / 2;
    ACanvas->FillRect(TRect{x, gap.top + 1, x + 1, gap.bottom - 1}, vcl::clBtnShadow);
    ACanvas->FillRect(TRect{x + 1, gap.top + 1, x + 2, gap.bottom - 1}, vcl::clBtnHighlight);
  }
  ACanvas->ExcludeClipRect(gap);
}
