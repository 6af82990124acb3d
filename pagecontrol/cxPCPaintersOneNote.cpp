// TcxPCOneNotePainter: notebook tabs with a long slant at the left end and a
// rounded right corner, outlined in the OneNote palette.
#include <array>
#include <vector>

#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsColors.h"
#include "graphics/dxOffice11.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "pagecontrol/cxPCPainters.h"

namespace {

using P = TPoint;

// Palette entries by role; 2 and 4 are unused.
constexpr int OneNotePaletteSize = 6;
constexpr int OneNoteMainOutline = 0;
constexpr int OneNoteOutline = 1;
constexpr int OneNoteHotOutline = 3;
constexpr int OneNoteInnerBase = 5;

// By Office scheme: none, blue, olive, silver.
constexpr vcl::TColor OneNoteSchemeColors[4][OneNotePaletteSize] = {
    {vcl::clBtnShadow, vcl::clBtnShadow, vcl::clNone, static_cast<vcl::TColor>(0x6A240A), vcl::clNone,
     vcl::clBtnFace},
    {static_cast<vcl::TColor>(0x9C613B), static_cast<vcl::TColor>(0x9A3500), vcl::clNone,
     static_cast<vcl::TColor>(0x800000), vcl::clNone, static_cast<vcl::TColor>(0xF1A675)},
    {static_cast<vcl::TColor>(0x588060), static_cast<vcl::TColor>(0x6B7760), vcl::clNone,
     static_cast<vcl::TColor>(0x385D3F), vcl::clNone, static_cast<vcl::TColor>(0x8CC2B0)},
    {static_cast<vcl::TColor>(0x947C7C), static_cast<vcl::TColor>(0x927476), vcl::clNone,
     static_cast<vcl::TColor>(0x6F4B4B), vcl::clNone, static_cast<vcl::TColor>(0xCEB9BA)}};

std::array<vcl::TColor, OneNotePaletteSize> OneNotePalette{};

void DrawOneNotePolyline(TcxCanvas* ACanvas, std::initializer_list<TPoint> APoints, const TRect& R,
                         TcxTabPosition APosition, vcl::TColor AColor)
{
  std::vector<TPoint> points;
  for (const TPoint& point : APoints)
    points.push_back(MirrorTabPoint(point, R, APosition));
  ACanvas->GetPen()->SetColor(AColor);
  ACanvas->GetPen()->SetWidth(1);
  if (points.size() > 1)
    ACanvas->Polyline(points);
  ACanvas->SetPixel(points.back().x, points.back().y, AColor);
}

bool IsOneNoteVertical(TcxTabPosition APosition)
{
  return APosition == TcxTabPosition::tpLeft || APosition == TcxTabPosition::tpRight;
}

}  // namespace

// ---------------------------------------------------------------------------
// Palette

vcl::TColor cxPCOneNoteSchemeColor(int AScheme, int AIndex)
{
  if (AScheme < 0 || AScheme > 3 || AIndex < 0 || AIndex >= OneNotePaletteSize)
    return vcl::clNone;
  return OneNoteSchemeColors[AScheme][AIndex];
}

vcl::TColor cxPCOneNotePaletteColor(int AIndex)
{
  return AIndex >= 0 && AIndex < OneNotePaletteSize ? OneNotePalette[AIndex] : vcl::clNone;
}

void cxPCOneNoteCalculatePalette()
{
  const int scheme = dxOffice11CurrentScheme();
  for (int i = 0; i < OneNotePaletteSize; ++i)
    OneNotePalette[i] = cxPCOneNoteSchemeColor(scheme, i);
}

namespace {

// Recomputes the palette when the system colours or the visual style
// change, before the controls repaint.
class TcxPaletteChangedNotifier : public TcxSystemPaletteChangedNotifier {
  RTL_CLASS(TcxPaletteChangedNotifier, TcxSystemPaletteChangedNotifier)

 protected:
  void DoSystemPaletteChanged() override
  {
    cxPCOneNoteCalculatePalette();
    inherited::DoSystemPaletteChanged();
  }
};

TcxPaletteChangedNotifier* OneNotePaletteNotifier = nullptr;

}  // namespace

void cxPCOneNoteStartUp()
{
  // The notifier's listener keeps the Office scheme current, so it comes
  // first.
  if (!OneNotePaletteNotifier)
    OneNotePaletteNotifier = rtl::New<TcxPaletteChangedNotifier>(true);
  cxPCOneNoteCalculatePalette();
}

void cxPCOneNoteShutDown()
{
  rtl::FreeAndNil(OneNotePaletteNotifier);
}

// ---------------------------------------------------------------------------
// TcxPCOneNotePainter: metrics

int TcxPCOneNotePainter::GetCutSize()
{
  return GetTabNormalHeight() + 2;
}

vcl::TColor TcxPCOneNotePainter::GetOutlineColor()
{
  return cxPCOneNotePaletteColor(OneNoteMainOutline);
}

TRect TcxPCOneNotePainter::GetTabImageOffsets(int)
{
  return TRect{0, Scaled(3), 0, Scaled(1)};
}

TRect TcxPCOneNotePainter::GetTabTextOffsets(int)
{
  return TRect{0, Scaled(4), 0, Scaled(1)};
}

TPoint TcxPCOneNotePainter::GetTabContentOffsets(int)
{
  TPoint result{GetCutSize(), 4};
  if (FViewInfo->GetTextRotationAngle() == TcxRotationAngle::raMinus90)
    std::swap(result.x, result.y);
  return result;
}

TPoint TcxPCOneNotePainter::GetTooLongTextContentOffsets(int AIndex)
{
  return GetTabContentOffsets(AIndex);
}

TSize TcxPCOneNotePainter::GetTabsDistance()
{
  // Each tab lies over the slant of the one after it.
  return TSize{5 - GetCutSize(), -3};
}

int TcxPCOneNotePainter::GetNavigatorOffsetAcross()
{
  return IsTabsContainer() ? Scaled(2) : 0;
}

TRect TcxPCOneNotePainter::GetTabsContainerOffsets()
{
  return IsTabsContainer() ? TRect{0, Scaled(2), 0, 0} : TRect{};
}

// ---------------------------------------------------------------------------
// TcxPCOneNotePainter: figure and drawing

TcxRegion* TcxPCOneNotePainter::GetTabFigureRegion(int AIndex, bool AIncludeOutline)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  const TcxTabPosition position = tab->PaintingPosition();
  TRect R = tab->GetFullRect();
  std::vector<TPoint> points;
  auto frame = [&](int& L, int& B, int& W, int& H) {
    L = R.left;
    B = R.bottom;
    W = IsOneNoteVertical(position) ? R.bottom - R.top : R.right - R.left;
    H = IsOneNoteVertical(position) ? R.right - R.left : R.bottom - R.top;
  };
  int L, B, W, H;
  if (AIncludeOutline) {
    InflateRect(&R, 1, 1);
    frame(L, B, W, H);
    if (position == TcxTabPosition::tpRight)
      points = {P{L - 1, B - 1},         P{L - 1, B - 3}, P{L + 2, B - 3},         P{L + H - 2, B - H + 2},
                P{L + H + 2, B - H},     P{L + W - 4, B - H}, P{L + W - 1, B - H + 3}, P{L + W - 1, B - 1}};
    else if (position == TcxTabPosition::tpLeft)
      points = {P{L, B - 2},         P{L + 1, B - 2},        P{L + H - 3, B - H + 3}, P{L + H + 2, B - H},
                P{L + W - 5, B - H}, P{L + W - 1, B - H + 4}, P{L + W - 1, B - 1}};
    else
      points = {P{L, B - 2},         P{L + 1, B - 2},        P{L + H - 3, B - H + 3}, P{L + H + 2, B - H},
                P{L + W - 4, B - H}, P{L + W - 1, B - H + 3}, P{L + W - 1, B - 1}};
  } else {
    switch (position) {
      case TcxTabPosition::tpBottom:
        ++R.left;
        break;
      case TcxTabPosition::tpLeft:
        ++R.left;
        ++R.top;
        ++R.right;
        break;
      case TcxTabPosition::tpRight:
        ++R.top;
        break;
      default:
        ++R.top;
        ++R.bottom;
        break;
    }
    frame(L, B, W, H);
    points = {P{L + 2, B - 1}, P{L + H - 2, B - H + 3}, P{L + H + 2, B - H + 1}, P{L + W - 2, B - H + 1},
              P{L + W - 2, B - 1}};
    if (position == TcxTabPosition::tpBottom) {
      points[1] = P{L + H - 3, B - H + 4};
    } else if (position == TcxTabPosition::tpRight) {
      points[1] = P{L + H - 1, B - H + 3};
      points[2] = P{L + H + 3, B - H + 1};
    }
  }
  for (TPoint& point : points)
    point = MirrorTabPoint(point, R, position);
  return rtl::New<TcxRegion>(CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING));
}

vcl::TColor TcxPCOneNotePainter::GetColorAt(int AIndex, const TRect& R, const TPoint& P)
{
  const TcxTabPosition position = GetTabViewInfo(AIndex)->PaintingPosition();
  const TPoint point = MirrorTabPoint(P, R, position);
  const int index = FViewInfo->VisibleIndexOfTabAt(point.x, point.y);
  return index == -1 ? GetControlColor() : GetTabColor(index);
}

void TcxPCOneNotePainter::DrawTabOutline(TcxCanvas* ACanvas, int AIndex, const TRect& R)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  const TcxTabPosition position = tab->PaintingPosition();
  const int L = R.left, B = R.bottom;
  const int W = IsOneNoteVertical(position) ? R.bottom - R.top : R.right - R.left;
  const int H = IsOneNoteVertical(position) ? R.right - R.left : R.bottom - R.top;
  const vcl::TColor tabColor = GetTabColor(AIndex);
  vcl::TColor outer, innerLight, innerRight;
  if (tab->IsHotTrack()) {
    outer = innerLight = innerRight = cxPCOneNotePaletteColor(OneNoteHotOutline);
  } else if (tab->IsMainTab()) {
    outer = cxPCOneNotePaletteColor(OneNoteMainOutline);
    innerLight = cxBlendColors(vcl::clWhite, tabColor, 60);
    innerRight = cxBlendColors(innerLight, tabColor, 70);
  } else {
    const vcl::TColor base = cxPCOneNotePaletteColor(OneNoteInnerBase);
    outer = cxPCOneNotePaletteColor(OneNoteOutline);
    innerLight = cxBlendColors(cxBlendColors(vcl::clWhite, base, 50), tabColor, 50);
    innerRight = cxBlendColors(base, tabColor, 50);
  }
  // The foot and the top of the bend are smoothed into what lies behind.
  DrawOneNotePolyline(ACanvas, {P{L, B - 1}}, R, position,
                      cxBlendColors(outer, GetColorAt(AIndex, R, P{L - 1, B - 1}), 25));
  DrawOneNotePolyline(ACanvas,
                      {P{L + 1, B - 1}, P{L + H - 3, B - H + 3}, P{L + H + 2, B - H}, P{L + W - 3, B - H},
                       P{L + W - 1, B - H + 2}, P{L + W - 1, B - 1}},
                      R, position, outer);
  DrawOneNotePolyline(ACanvas, {P{L + H + 2, B - H}}, R, position,
                      cxBlendColors(outer, GetColorAt(AIndex, R, P{L + H + 1, B - H}), 60));
  DrawOneNotePolyline(ACanvas, {P{L + 2, B - 1}, P{L + H - 3, B - H + 4}, P{L + H + 2, B - H + 1}, P{L + W - 4, B - H + 1}},
                      R, position, innerLight);
  DrawOneNotePolyline(ACanvas, {P{L + W - 3, B - H + 1}, P{L + W - 2, B - H + 2}, P{L + W - 2, B - 1}}, R, position,
                      innerRight);
}

void TcxPCOneNotePainter::DrawMainTabPageSide(TcxCanvas* ACanvas, int AIndex, const TRect& R)
{
  const TcxTabPosition position = GetTabViewInfo(AIndex)->PaintingPosition();
  const int L = R.left, B = R.bottom;
  const int W = IsOneNoteVertical(position) ? R.bottom - R.top : R.right - R.left;
  const vcl::TColor color = GetTabColor(AIndex);
  DrawOneNotePolyline(ACanvas, {P{L, B}}, R, position,
                      cxBlendColors(cxPCOneNotePaletteColor(OneNoteMainOutline), color, 50));
  DrawOneNotePolyline(ACanvas, {P{L + 1, B}, P{L + W - 1, B}}, R, position, color);
}
