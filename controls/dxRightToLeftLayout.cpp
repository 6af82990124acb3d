#include "controls/dxRightToLeftLayout.h"

namespace {

// Swaps ALeft and ARight in a set that holds exactly one of them.
template <class TSetType, class TMember>
TSetType SwapHorizontalMembers(TSetType ASet, TMember ALeft, TMember ARight)
{
  if (ASet.Contains(ALeft) == ASet.Contains(ARight))
    return ASet;
  if (ASet.Contains(ALeft)) {
    ASet.Exclude(ALeft);
    ASet.Include(ARight);
  } else {
    ASet.Exclude(ARight);
    ASet.Include(ALeft);
  }
  return ASet;
}

// AValue becomes AOther and AOther AValue; anything else stays.
template <class T>
T SwapValues(T AValue, T AOne, T AOther)
{
  if (AValue == AOne)
    return AOther;
  if (AValue == AOther)
    return AOne;
  return AValue;
}

}  // namespace

int TdxRightToLeftLayoutConverter::ConvertXCoordinate(int X, const TRect& AParentRect)
{
  return AParentRect.left + AParentRect.right - X;
}

TPoint TdxRightToLeftLayoutConverter::ConvertPoint(const TPoint& APoint, const TRect& AParentRect)
{
  return {ConvertXCoordinate(APoint.x, AParentRect), APoint.y};
}

TRect TdxRightToLeftLayoutConverter::ConvertRect(const TRect& ARect, const TRect& AParentRect)
{
  if (ARect.left == 0 && ARect.top == 0 && ARect.right == 0 && ARect.bottom == 0)
    return ARect;
  TRect result = ARect;
  result.left = AParentRect.left + AParentRect.right - ARect.right;
  result.right = result.left + (ARect.right - ARect.left);
  return result;
}

TRect TdxRightToLeftLayoutConverter::ConvertOffsets(const TRect& AOffsets)
{
  return {AOffsets.right, AOffsets.top, AOffsets.left, AOffsets.bottom};
}

rtl::TAlignment TdxRightToLeftLayoutConverter::ConvertAlignment(rtl::TAlignment AAlignment)
{
  return SwapValues(AAlignment, rtl::TAlignment::taLeftJustify, rtl::TAlignment::taRightJustify);
}

TcxTextAlignX TdxRightToLeftLayoutConverter::ConvertcxTextAlignX(TcxTextAlignX AAlign)
{
  return SwapValues(AAlign, taLeft, taRight);
}

int TdxRightToLeftLayoutConverter::ConvertcxDrawTextAlignment(int AAlignment)
{
  return SwapValues(AAlignment, 1, 2);
}

TcxPopupAlignHorz TdxRightToLeftLayoutConverter::ConvertPopupAlignHorz(TcxPopupAlignHorz APopupAlignHorz)
{
  return SwapValues(APopupAlignHorz, TcxPopupAlignHorz::pahLeft, TcxPopupAlignHorz::pahRight);
}

vcl::TPopupAlignment TdxRightToLeftLayoutConverter::ConvertPopupAlignment(vcl::TPopupAlignment AAlignment)
{
  return SwapValues(AAlignment, vcl::TPopupAlignment::paLeft, vcl::TPopupAlignment::paRight);
}

TcxDirection TdxRightToLeftLayoutConverter::ConvertDirection(TcxDirection ADirection)
{
  return SwapValues(ADirection, TcxDirection::dirLeft, TcxDirection::dirRight);
}

TcxArrowDirection TdxRightToLeftLayoutConverter::ConvertArrowDirection(TcxArrowDirection ADirection)
{
  return SwapValues(ADirection, TcxArrowDirection::adLeft, TcxArrowDirection::adRight);
}

WORD TdxRightToLeftLayoutConverter::ConvertVirtualKeyCode(WORD AKey)
{
  return SwapValues<WORD>(AKey, VK_LEFT, VK_RIGHT);
}

vcl::TAnchors TdxRightToLeftLayoutConverter::ConvertAnchors(const vcl::TAnchors& AAnchors)
{
  return SwapHorizontalMembers(AAnchors, vcl::TAnchorKind::akLeft, vcl::TAnchorKind::akRight);
}

TcxBorders TdxRightToLeftLayoutConverter::ConvertBorders(const TcxBorders& ABorders)
{
  return SwapHorizontalMembers(ABorders, TcxBorder::bLeft, TcxBorder::bRight);
}

TcxNeighbors TdxRightToLeftLayoutConverter::ConvertNeighbors(const TcxNeighbors& ANeighbors)
{
  return SwapHorizontalMembers(ANeighbors, TcxNeighbor::nLeft, TcxNeighbor::nRight);
}
