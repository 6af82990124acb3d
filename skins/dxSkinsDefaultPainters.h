#pragma once
// The user skin: a painter named "UserSkin" that is not offered to users,
// whose package is the resource DEFAULTUSERSKINDATA, and whose skin
// information refreshes every control when the skin's content changes.

#include "platform/rtl/SystemUnits.h"
#include "skins/dxSkinsLookAndFeelPainter.h"

RTL_DECLARE_UNIT(dxSkinsDefaultPainters);

class TdxSkinUserLookAndFeelPainterInfo : public TdxSkinLookAndFeelPainterInfo {
  RTL_CLASS(TdxSkinUserLookAndFeelPainterInfo, TdxSkinLookAndFeelPainterInfo)

 public:
  // Resolves again, then repaints through the root look and feel.
  void __stdcall SkinChanged(TdxSkin* Sender) override;
};

class TdxSkinsUserSkinPainter : public TdxSkinLookAndFeelPainter {
  RTL_CLASS(TdxSkinsUserSkinPainter, TdxSkinLookAndFeelPainter)

 public:
  rtl::String LookAndFeelName() override;
  bool IsInternalPainter() override;

 protected:
  TdxSkinLookAndFeelPainterInfoClass GetSkinInfoClass() override;
};
