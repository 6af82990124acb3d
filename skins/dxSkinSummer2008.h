#pragma once
// The skin "Summer2008": its painter, registered with the painters manager at
// start-up when the 2-D graphics library is there. The package is read from
// the resource SUMMER2008 of type "DXSKINS" when the painter is first used.

#include "platform/rtl/SystemUnits.h"
#include "skins/dxSkinsLookAndFeelPainter.h"

RTL_DECLARE_UNIT(dxSkinSummer2008);

class TdxSkinSummer2008Painter : public TdxSkinLookAndFeelPainter {
  RTL_CLASS(TdxSkinSummer2008Painter, TdxSkinLookAndFeelPainter)

 public:
  // Fixed, so that registering and sorting load nothing.
  rtl::String LookAndFeelName() override;
};
