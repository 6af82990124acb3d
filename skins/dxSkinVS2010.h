#pragma once
// The skin "VS2010": its painter, registered with the painters manager at
// start-up when the 2-D graphics library is there. The package is read from
// the resource VS2010 of type "DXSKINS" when the painter is first used.

#include "platform/rtl/SystemUnits.h"
#include "skins/dxSkinsLookAndFeelPainter.h"

RTL_DECLARE_UNIT(dxSkinVS2010);

class TdxSkinVS2010Painter : public TdxSkinLookAndFeelPainter {
  RTL_CLASS(TdxSkinVS2010Painter, TdxSkinLookAndFeelPainter)

 public:
  // Fixed, so that registering and sorting load nothing.
  rtl::String LookAndFeelName() override;
};
