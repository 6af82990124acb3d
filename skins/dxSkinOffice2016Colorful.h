#pragma once
// The skin "Office2016Colorful": its painter, registered with the painters manager at
// start-up when the 2-D graphics library is there. The package is read from
// the resource OFFICE2016COLORFUL of type "DXSKINS" when the painter is first used.

#include "platform/rtl/SystemUnits.h"
#include "skins/dxSkinsLookAndFeelPainter.h"

RTL_DECLARE_UNIT(dxSkinOffice2016Colorful);

class TdxSkinOffice2016ColorfulPainter : public TdxSkinLookAndFeelPainter {
  RTL_CLASS(TdxSkinOffice2016ColorfulPainter, TdxSkinLookAndFeelPainter)

 public:
  // Fixed, so that registering and sorting load nothing.
  rtl::String LookAndFeelName() override;
};
