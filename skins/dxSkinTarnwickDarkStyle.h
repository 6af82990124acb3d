#pragma once
// The skin "TarnwickDarkStyle": its painter, registered with the painters manager at
// start-up when the 2-D graphics library is there. The package is read from
// the resource TARNWICKDARKSTYLE of type "DXSKINS" when the painter is first used.

#include "platform/rtl/SystemUnits.h"
#include "skins/dxSkinsLookAndFeelPainter.h"

RTL_DECLARE_UNIT(dxSkinTarnwickDarkStyle);

class TdxSkinTarnwickDarkStylePainter : public TdxSkinLookAndFeelPainter {
  RTL_CLASS(TdxSkinTarnwickDarkStylePainter, TdxSkinLookAndFeelPainter)

 public:
  // Fixed, so that registering and sorting load nothing.
  rtl::String LookAndFeelName() override;
};
