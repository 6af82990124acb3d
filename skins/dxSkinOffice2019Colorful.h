#pragma once
// The skin "Office2019Colorful": its painter, registered with the painters manager at
// start-up when the 2-D graphics library is there. The package is read from
// the resource OFFICE2019COLORFUL of type "DXSKINS" when the painter is first used.

#include "platform/rtl/SystemUnits.h"
#include "skins/dxSkinsLookAndFeelPainter.h"

RTL_DECLARE_UNIT(dxSkinOffice2019Colorful);

class TdxSkinOffice2019ColorfulPainter : public TdxSkinLookAndFeelPainter {
  RTL_CLASS(TdxSkinOffice2019ColorfulPainter, TdxSkinLookAndFeelPainter)

 public:
  // Fixed, so that registering and sorting load nothing.
  rtl::String LookAndFeelName() override;
};
