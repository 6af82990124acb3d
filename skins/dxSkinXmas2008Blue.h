#pragma once
// The skin "Xmas2008Blue": its painter, registered with the painters manager at
// start-up when the 2-D graphics library is there. The package is read from
// the resource XMAS2008BLUE of type "DXSKINS" when the painter is first used.

#include "platform/rtl/SystemUnits.h"
#include "skins/dxSkinsLookAndFeelPainter.h"

RTL_DECLARE_UNIT(dxSkinXmas2008Blue);

class TdxSkinXmas2008BluePainter : public TdxSkinLookAndFeelPainter {
  RTL_CLASS(TdxSkinXmas2008BluePainter, TdxSkinLookAndFeelPainter)

 public:
  // Fixed, so that registering and sorting load nothing.
  rtl::String LookAndFeelName() override;
};
