#pragma once
// The skin "McSkin": its painter, registered with the painters manager at
// start-up when the 2-D graphics library is there. The package is read from
// the resource MCSKIN of type "DXSKINS" when the painter is first used.

#include "platform/rtl/SystemUnits.h"
#include "skins/dxSkinsLookAndFeelPainter.h"

RTL_DECLARE_UNIT(dxSkinMcSkin);

class TdxSkinMcSkinPainter : public TdxSkinLookAndFeelPainter {
  RTL_CLASS(TdxSkinMcSkinPainter, TdxSkinLookAndFeelPainter)

 public:
  // Fixed, so that registering and sorting load nothing.
  rtl::String LookAndFeelName() override;
};
