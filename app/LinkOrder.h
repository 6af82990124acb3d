// The program's units in link order: they start in this order and finish in
// the reverse one. A unit that uses another comes after it; the core first.
//
// KV_LINK_ORDER is the one list of them. The program starts every unit in it
// (LinkOrder() refers to each record, so each is linked); a test program,
// which links only some of the units, starts those in the same order with
// rtl::OrderUnits(rtl::LinkedUnits(), kLinkOrderNames), which also refuses a
// linked unit the list lacks.
#pragma once

#include <span>

#include "platform/rtl/SystemUnits.h"

// The built-in skins' units (and the default painters among them), in
// link order: a tool that draws with the skins refers to them to link them.
#define KV_SKIN_UNITS(AUnit)         \
  AUnit(dxSkinBlack)                 \
  AUnit(dxSkinBlue)                  \
  AUnit(dxSkinBlueprint)             \
  AUnit(dxSkinCaramel)               \
  AUnit(dxSkinCoffee)                \
  AUnit(dxSkinDarkRoom)              \
  AUnit(dxSkinDarkSide)              \
  AUnit(dxSkinTarnwickDarkStyle)     \
  AUnit(dxSkinTarnwickStyle)         \
  AUnit(dxSkinFoggy)                 \
  AUnit(dxSkinGlassOceans)           \
  AUnit(dxSkinHighContrast)          \
  AUnit(dxSkiniMaginary)             \
  AUnit(dxSkinLilian)                \
  AUnit(dxSkinLiquidSky)             \
  AUnit(dxSkinLondonLiquidSky)       \
  AUnit(dxSkinMcSkin)                \
  AUnit(dxSkinMetropolis)            \
  AUnit(dxSkinMetropolisDark)        \
  AUnit(dxSkinMoneyTwins)            \
  AUnit(dxSkinOffice2007Black)       \
  AUnit(dxSkinOffice2007Blue)        \
  AUnit(dxSkinOffice2007Green)       \
  AUnit(dxSkinOffice2007Pink)        \
  AUnit(dxSkinOffice2007Silver)      \
  AUnit(dxSkinOffice2010Black)       \
  AUnit(dxSkinOffice2010Blue)        \
  AUnit(dxSkinOffice2010Silver)      \
  AUnit(dxSkinOffice2013DarkGray)    \
  AUnit(dxSkinOffice2013LightGray)   \
  AUnit(dxSkinOffice2013White)       \
  AUnit(dxSkinOffice2016Colorful)    \
  AUnit(dxSkinOffice2016Dark)        \
  AUnit(dxSkinOffice2019Colorful)    \
  AUnit(dxSkinPumpkin)               \
  AUnit(dxSkinSeven)                 \
  AUnit(dxSkinSevenClassic)          \
  AUnit(dxSkinSharp)                 \
  AUnit(dxSkinSharpPlus)             \
  AUnit(dxSkinSilver)                \
  AUnit(dxSkinSpringTime)            \
  AUnit(dxSkinStardust)              \
  AUnit(dxSkinSummer2008)            \
  AUnit(dxSkinTheAsphaltWorld)       \
  AUnit(dxSkinTheBezier)             \
  AUnit(dxSkinsDefaultPainters)      \
  AUnit(dxSkinValentine)             \
  AUnit(dxSkinVisualStudio2013Blue)  \
  AUnit(dxSkinVisualStudio2013Dark)  \
  AUnit(dxSkinVisualStudio2013Light) \
  AUnit(dxSkinVS2010)                \
  AUnit(dxSkinWhiteprint)            \
  AUnit(dxSkinXmas2008Blue)

#define KV_LINK_ORDER(AUnit)         \
  AUnit(dxCore)                      \
  AUnit(Clipbrd)                     \
  AUnit(Controls)                    \
  AUnit(dxGenerics)                  \
  AUnit(cxClasses)                   \
  AUnit(cxGeometry)                  \
  AUnit(cxLibraryStrs)               \
  AUnit(cxDateUtils)                 \
  AUnit(dxThreading)                 \
  AUnit(dxDPIAwareUtils)             \
  AUnit(dxHooks)                     \
  AUnit(dxUxTheme)                   \
  AUnit(dxThemeManager)              \
  AUnit(dxTouch)                     \
  AUnit(dxAnimation)                 \
  AUnit(cxStyles)                    \
  AUnit(cxFormats)                   \
  AUnit(dxCoreGraphics)              \
  AUnit(dxGDIPlusAPI)                \
  AUnit(dxGDIPlusClasses)            \
  AUnit(cxGraphicsColors)            \
  AUnit(cxGraphicsBitmaps)           \
  AUnit(cxGraphics)                  \
  AUnit(cxDrawTextUtils)             \
  AUnit(dxOffice11)                  \
  AUnit(dxFading)                    \
  AUnit(dxSVGImage)                  \
  AUnit(dxSkinsCore)                 \
  AUnit(cxLookAndFeelPainters)       \
  AUnit(cxLookAndFeels)              \
  AUnit(dxDWMApi)                    \
  AUnit(dxHybridScrollbars)          \
  AUnit(dxTouchScrollUI)             \
  AUnit(cxControls)                  \
  AUnit(dxForms)                     \
  AUnit(cxContainer)                 \
  AUnit(cxCustomPopupWindow)         \
  AUnit(cxHint)                      \
  AUnit(dxScreenTip)                 \
  KV_SKIN_UNITS(AUnit)               \
  AUnit(dxSkinsForm)                 \
  AUnit(cxAccessibility)             \
  AUnit(dxBuiltInPopupMenu)          \
  AUnit(cxPCConsts)                  \
  AUnit(cxPCPainters)                \
  AUnit(dxSkinscxPCPainter)          \
  AUnit(cxEditConsts)                \
  AUnit(dxSpellCheckerCore)          \
  AUnit(cxEdit)                      \
  AUnit(cxEditExConsts)              \
  AUnit(cxTextEdit)                  \
  AUnit(cxMemo)                      \
  AUnit(cxMaskEdit)                  \
  AUnit(cxDropDownEdit)              \
  AUnit(cxDataConsts)                \
  AUnit(cxDataStorage)               \
  AUnit(cxFilterConsts)              \
  AUnit(cxFilterControlUtils)        \
  AUnit(cxFilterControlStrs)         \
  AUnit(cxCheckBox)                  \
  AUnit(cxLabel)                     \
  AUnit(dxCustomListBox)

#define KV_LINK_ORDER_NAME(AUnit) #AUnit,
inline constexpr const char* kLinkOrderNames[] = {KV_LINK_ORDER(KV_LINK_ORDER_NAME)};
#undef KV_LINK_ORDER_NAME

std::span<const rtl::UnitInfo* const> LinkOrder();
