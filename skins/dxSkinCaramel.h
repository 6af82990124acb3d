#pragma once
// The skin "Caramel": its painter, registered with the painters manager at
// start-up when the 2-D graphics library is there. The package is read from
// the resource CARAMEL of type "DXSKINS" when the painter is first used.

#include "platform/rtl/SystemUnits.h"
#include "skins/dxSkinsLookAndFeelPainter.h"

RTL_DECLARE_UNIT(dxSkinCaramel);

class TdxSkinCaramelPainter : public TdxSkinLookAndFeelPainter {
  RTL_CLASS(TdxSkinCaramelPainter, TdxSkinLookAndFeelPainter)

 public:
  // Fixed, so that registering and sorting load nothing.
  rtl::String LookAndFeelName() override;
};
