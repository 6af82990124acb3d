#pragma once
// The skin "VisualStudio2013Dark": its painter, registered with the painters manager at
// start-up when the 2-D graphics library is there. The package is read from
// the resource VISUALSTUDIO2013DARK of type "DXSKINS" when the painter is first used.

#include "platform/rtl/SystemUnits.h"
#include "skins/dxSkinsLookAndFeelPainter.h"

RTL_DECLARE_UNIT(dxSkinVisualStudio2013Dark);

class TdxSkinVisualStudio2013DarkPainter : public TdxSkinLookAndFeelPainter {
  RTL_CLASS(TdxSkinVisualStudio2013DarkPainter, TdxSkinLookAndFeelPainter)

 public:
  // Fixed, so that registering and sorting load nothing.
  rtl::String LookAndFeelName() override;
};
