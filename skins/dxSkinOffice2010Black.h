#pragma once
// The skin "Office2010Black": its painter, registered with the painters manager at
// start-up when the 2-D graphics library is there. The package is read from
// the resource OFFICE2010BLACK of type "DXSKINS" when the painter is first used.

#include "platform/rtl/SystemUnits.h"
#include "skins/dxSkinsLookAndFeelPainter.h"

RTL_DECLARE_UNIT(dxSkinOffice2010Black);

class TdxSkinOffice2010BlackPainter : public TdxSkinLookAndFeelPainter {
  RTL_CLASS(TdxSkinOffice2010BlackPainter, TdxSkinLookAndFeelPainter)

 public:
  // Fixed, so that registering and sorting load nothing.
  rtl::String LookAndFeelName() override;
};
