// Mirroring for right-to-left layouts: controls lay themselves out left to
// right and then mirror what has a horizontal sense (coordinates, points,
// rectangles, margins, alignments, anchors, border and neighbour sets,
// directions and arrow keys).
//
// TcxDirection and TcxPopupAlignHorz live here, with their mirroring: the
// base control and the popup window take them from this unit.
#pragma once

#include <windows.h>

#include "graphics/cxDrawTextUtils.h"
#include "graphics/cxGraphics.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "core/dxTypeHelpers.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SystemTypes.h"
#include "platform/vcl/ControlsMessages.h"
#include "platform/vcl/Menus.h"

RTL_ENUM(TcxDirection, dirNone, dirLeft, dirRight, dirUp, dirDown);
RTL_ENUM(TcxPopupAlignHorz, pahLeft, pahCenter, pahRight);

// Class functions only: the converter keeps no state.
class TdxRightToLeftLayoutConverter {
 public:
  TdxRightToLeftLayoutConverter() = delete;

  // Mirrored inside AParentRect: only X changes.
  static int ConvertXCoordinate(int X, const TRect& AParentRect);
  static TPoint ConvertPoint(const TPoint& APoint, const TRect& AParentRect);
  // The empty rectangle (0, 0, 0, 0) stands for "no rectangle" and stays.
  static TRect ConvertRect(const TRect& ARect, const TRect& AParentRect);
  // Margins: left and right swap.
  static TRect ConvertOffsets(const TRect& AOffsets);

  static rtl::TAlignment ConvertAlignment(rtl::TAlignment AAlignment);
  static TcxTextAlignX ConvertcxTextAlignX(TcxTextAlignX AAlign);
  // The horizontal alignment codes of the system's text drawing: 1 (left)
  // and 2 (right) swap, every other value stays.
  static int ConvertcxDrawTextAlignment(int AAlignment);
  static TcxPopupAlignHorz ConvertPopupAlignHorz(TcxPopupAlignHorz APopupAlignHorz);
  static vcl::TPopupAlignment ConvertPopupAlignment(vcl::TPopupAlignment AAlignment);
  static TcxDirection ConvertDirection(TcxDirection ADirection);
  static TcxArrowDirection ConvertArrowDirection(TcxArrowDirection ADirection);
  static WORD ConvertVirtualKeyCode(WORD AKey);
  // A set holding exactly one of its two horizontal members gets the other
  // one instead; with both or neither it is unchanged.
  static vcl::TAnchors ConvertAnchors(const vcl::TAnchors& AAnchors);
  static TcxBorders ConvertBorders(const TcxBorders& ABorders);
  static TcxNeighbors ConvertNeighbors(const TcxNeighbors& ANeighbors);
};
