// The skin tab painter (style 11, "Skin"): tabs, header buttons and the page
// drawn from the elements of the active skin. It falls back to the Tabs
// painter, operation by operation, when the look and feel has no skin
// painter or the skin lacks an element. The unit's start-up registers it
// after the built-in styles, so it wins whenever a skin is active.
#pragma once

#include "pagecontrol/cxPCPainters.h"
#include "platform/rtl/SystemUnits.h"

RTL_DECLARE_UNIT(dxSkinscxPCPainter);

class TdxSkinElement;
class TdxSkinElementCache;
class TdxSkinInfo;

class TcxPCSkinPainter : public TcxPCTabsPainter {
  RTL_CLASS(TcxPCSkinPainter, TcxPCTabsPainter)

 public:
  void Create(TcxCustomTabControlViewInfo* AViewInfo) override;
  void Destroy() override;

  TcxPCStyleID GetStyleID() const override { return 11; }
  rtl::String GetStyleName() const override { return L"Skin"; }
  bool HasLookAndFeel(TcxLookAndFeel* ALookAndFeel) const override;
  bool IsDefault(TcxLookAndFeel*) const override { return false; }

  bool IsNativePainting() override;
  bool IsTabDrawnDown(int) override { return false; }
  bool IsDisabledTextEmbossed() override { return false; }
  int CalculateTabNormalHeight() override;
  int CalculateTabNormalWidth(TcxTabViewInfo* ATabViewInfo) override;
  void CorrectTabNormalWidth(int&) override {}
  TPoint GetTabContentOffsets(int AIndex) override;
  TRect GetTabFullRectExtension(int AIndex) override;
  TSize GetTabsDistance() override;
  void CalculateTabsPosition(TcxPCTabsPosition& ATabsPosition) override;
  int GetHeaderButtonWidthBase(TcxPCNavigatorButton AButton) override;
  void GetPageClientRectOffset(TRect& AOffsets) override;
  void GetTabsAreaExtents(TRect& AExtents) override;
  vcl::TColor GetControlColor() override;
  vcl::TColor GetTabTextColor(int AIndex) override;
  TcxCustomLookAndFeelPainter* GetLookAndFeelPainter() override;
  // Images take the glyph colours of the skin's tab header and tab button.
  rtl::IPtr<IdxColorPalette> GetTabImagePalette() override;
  rtl::IPtr<IdxColorPalette> GetHeaderButtonImagePalette(TcxPCNavigatorButtonState AState) override;
  rtl::IPtr<IdxColorPalette> GetTabButtonImagePalette(TcxPCNavigatorButtonState AState) override;

  void DrawFrame(TcxCanvas* ACanvas) override;
  void PaintPageClientArea(TcxCanvas* ACanvas) override;
  void DrawTabs(TcxCanvas* ACanvas) override;
  void DrawTabText(TcxCanvas* ACanvas, const TRect& R, int AIndex, bool AEnabled,
                   const rtl::String& ACaption) override;
  void DrawNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButton AKind,
                           TcxPCNavigatorButtonState AState) override;
  // A custom header button on the skin's tab button, when it has one.
  void DrawHeaderButtonFace(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButtonState AState) override;
  // The skin's tabs are turned to their side as a whole, captions too.
  TcxRotationAngle GetPaintTextRotationAngle() override { return FViewInfo->GetTextRotationAngle(); }

  // Nil without an active skin.
  TdxSkinInfo* SkinInfo() const;
  // The element drawn under the page: the pane while tabs show, else a
  // group panel with or without its border.
  TdxSkinElement* PaneElement() const;

 protected:
  int GetBaseContentWidth() override;
  int GetTabTextWidth(TcxTabViewInfo* ATabViewInfo) override;
  void DrawTabFrame(TcxCanvas* ACanvas, int AIndex, const TRect& R) override;

 private:
  TdxSkinElement* HeaderElement() const;
  // The eight page-control indents of the skin, 0 without one.
  int Indent(int AIndex) const;

  TdxSkinElementCache* FFrameContentCache;
};
