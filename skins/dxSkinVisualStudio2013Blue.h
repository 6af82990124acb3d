#pragma once
// The skin "VisualStudio2013Blue": its painter, registered with the painters manager at
// start-up when the 2-D graphics library is there. The package is read from
// the resource VISUALSTUDIO2013BLUE of type "DXSKINS" when the painter is first used.

#include "platform/rtl/SystemUnits.h"
#include "skins/dxSkinsLookAndFeelPainter.h"

RTL_DECLARE_UNIT(dxSkinVisualStudio2013Blue);

class TdxSkinVisualStudio2013BluePainter : public TdxSkinLookAndFeelPainter {
  RTL_CLASS(TdxSkinVisualStudio2013BluePainter, TdxSkinLookAndFeelPainter)

 public:
  // Fixed, so that registering and sorting load nothing.
  rtl::String LookAndFeelName() override;
};
