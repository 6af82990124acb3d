// The tab painters of the page control's built-in styles:
// - TcxPCStandardPainter, not registered itself: the metrics from tables by
//   standard style, the header buttons with their arrows, the page frame and
//   the bitmap-buffered drawing of one tab;
// - TcxPCTabsPainter (style 1, "Tabs"): the tabs of a classic tab control,
//   raised with clipped corners, or drawn by the operating-system theme with
//   the native look and feel; the default style and the style of the
//   standard and native look and feels;
// - TcxPCButtonsPainter (2, "Buttons") and TcxPCFlatButtonsPainter (3,
//   "FlatButtons"): tabs as a row of push buttons (cxPCPaintersButtons.cpp);
// - TcxPCExtraFlatPainter (5), TcxPCUltraFlatPainter (6), TcxPCFlatPainter (7)
//   and TcxPCOffice11Painter (8): flat tabs (cxPCPaintersFlat.cpp).
// The unit's start-up registers the styles with the painters factory.
#pragma once

#include "pagecontrol/cxPC.h"
#include "platform/rtl/SystemUnits.h"

RTL_DECLARE_UNIT(cxPCPainters);

class TcxPCStandardPainter : public TcxPCCustomPainter {
  RTL_CLASS(TcxPCStandardPainter, TcxPCCustomPainter)

 public:
  bool IsStandardStyle() const override { return true; }
  bool IsMainTabBoundWithClient() const override;
  bool IsMultiSelectionAccepted() const override;
  bool IsTabPressable() const override;

  int CalculateTabNormalHeight() override;
  int CalculateTabNormalWidth(TcxTabViewInfo* ATabViewInfo) override;
  void CorrectTabNormalWidth(int& AValue) override;
  int GetMinTabWidth(int AIndex) override;
  // Beside the go-dialog button, toward the page and flush with the
  // button's edge on the navigator's side.
  TPoint GetGoDialogPopupPoint(const TSize& AMenuSize) override;
  int GetHeaderButtonHeightBase() override;
  int GetHeaderButtonWidthBase(TcxPCNavigatorButton AButton) override;
  TSize GetTabsDistance() override;
  TRect GetTabImageOffsets(int AIndex) override;
  TRect GetTabTextOffsets(int AIndex) override;
  TPoint GetTabContentOffsets(int AIndex) override;
  TPoint GetTooLongTextContentOffsets(int AIndex) override;
  int GetTabImageAreaOffset() override { return 6; }
  bool IsTabDrawnDown(int AIndex) override;
  int GetFrameWidth() override { return 2; }
  TRect GetPageFrameRect() override;
  vcl::TColor GetTabColor(int AIndex) override;

  void DrawFrame(TcxCanvas* ACanvas) override;
  void DrawNavigatorButtons(TcxCanvas* ACanvas) override;
  void DrawNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButton AKind,
                           TcxPCNavigatorButtonState AState) override;
  void DrawCustomHeaderButton(TcxCanvas* ACanvas, const TRect& R, TcxPCButton* AButton,
                              TcxPCNavigatorButtonState AState) override;
  void DrawTab(TcxCanvas* ACanvas, int AIndex) override;
  void DrawTabFocusRect(TcxCanvas* ACanvas, int AIndex) override;
  void RepaintTab(int AIndex, int ACode) override;

  TRect GetButtonsRect() const { return FButtonsRect; }

 protected:
  // The content height of a tab: images and the tallest caption.
  virtual int GetContentHeight();
  virtual int GetDefaultTabHeight();
  int GetWidthWithoutText(int AIndex);
  // The room a tab takes beside its image and caption.
  virtual int GetBaseContentWidth() { return Scaled(12); }
  virtual int GetTabTextWidth(TcxTabViewInfo* ATabViewInfo) { return ATabViewInfo->GetTextSize().cx; }
  // Places the header buttons and gives the length they take with their
  // offsets, 0 without buttons.
  int CalculateHeaderButtons();
  // Fills the tabs-position record from rectangles told for tabs on top.
  void SetTabsPosition(TcxPCTabsPosition& ATabsPosition, const TRect& AExtended, const TRect& ANormal);
  // A rectangle told for tabs on top, in the control's real orientation.
  TRect ToTabPosition(const TRect& R) const;
  // Draws the outline and the face of a tab on a canvas in control
  // coordinates.
  virtual void DrawTabFrame(TcxCanvas* ACanvas, int AIndex, const TRect& R);
  int Scaled(int AValue) const;
  int StandardStyleIndex() const { return static_cast<int>(GetStandardStyle()); }
  // The rectangle a tab is drawn in: its full rectangle, for the main tab
  // reaching one pixel into the page.
  TRect GetTabPaintRect(int AIndex);
  // What of the paint rectangle reaches the canvas.
  virtual TRect GetTabClipRect(int AIndex);
  // The two one-pixel frames of a raised (or, pressed, sunken) button;
  // R shrinks by 2.
  void DrawButtonFrame(TcxCanvas* ACanvas, TRect& R, bool APressed);
  // The frame and fill of a header button in the style, without its glyph:
  // custom header buttons look like the navigator buttons beside them.
  virtual void DrawHeaderButtonFace(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButtonState AState);
  // The glyph of a header button centred in R (pressed: moved one pixel
  // right and down, the go-dialog glyph only down).
  // A disabled glyph is embossed, or with AEmbossDisabled false drawn once in
  // AColor filled with ADisabledFill.
  void DrawNavigatorGlyph(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButton AKind, bool APressed,
                          bool AEnabled, vcl::TColor AColor, bool AEmbossDisabled = true,
                          vcl::TColor ADisabledFill = vcl::clNone);
  // The tabs area of the button styles: the control's length less the
  // navigator area, as deep as the control.
  void CalculateStandardTabsPosition(TcxPCTabsPosition& ATabsPosition);
  // The button fill colour of the header buttons.
  virtual vcl::TColor GetButtonColor() { return vcl::clBtnFace; }

 private:
  TRect FButtonsRect;
};

class TcxPCTabsPainter : public TcxPCStandardPainter {
  RTL_CLASS(TcxPCTabsPainter, TcxPCStandardPainter)

 public:
  TcxPCStyleID GetStyleID() const override { return 1; }
  rtl::String GetStyleName() const override { return L"Tabs"; }
  TcxPCStandardStyle GetStandardStyle() const override { return TcxPCStandardStyle::tsTabs; }
  bool HasLookAndFeel(TcxLookAndFeel* ALookAndFeel) const override;
  bool IsDefault(TcxLookAndFeel* ALookAndFeel) const override;

  void CalculateTabsPosition(TcxPCTabsPosition& ATabsPosition) override;
  TRect GetTabFullRectExtension(int AIndex) override;
  TPoint GetTabContentOffsets(int AIndex) override;
  TRect GetTabImageOffsets(int AIndex) override;
  TRect GetTabTextOffsets(int AIndex) override;
  void GetTabsAreaExtents(TRect& AExtents) override;
  bool HasFrame() override { return true; }
  void DrawTabs(TcxCanvas* ACanvas) override;

  // Themed drawing: with the native look and feel while the tab theme opens.
  bool IsNativePainting() override;
  int GetHeaderButtonHeightBase() override;
  int GetHeaderButtonWidthBase(TcxPCNavigatorButton AButton) override;
  int GetHeaderButtonsDistance(TcxPCNavigatorButton AButton1, TcxPCNavigatorButton AButton2) override;
  vcl::TColor GetTabTextColor(int AIndex) override;
  void GetFrameWidths(TRect& AWidths) override;
  void DrawBackground(TcxCanvas* ACanvas) override;
  void PaintPageClientArea(TcxCanvas* ACanvas) override;
  void DrawFrame(TcxCanvas* ACanvas) override;
  void DrawTab(TcxCanvas* ACanvas, int AIndex) override;
  void DrawText(TcxCanvas* ACanvas, const rtl::String& AText, int AIndex, const TRect& R) override;
  // The theme writes upright only; captions of tabs at the sides, which the
  // layout measures turned, are drawn turned over the themed tab.
  TcxRotationAngle GetPaintTextRotationAngle() override { return FViewInfo->GetTextRotationAngle(); }
  void DrawNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButton AKind,
                           TcxPCNavigatorButtonState AState) override;
  void GetNativeTabPartAndState(int AIndex, int& APart, int& AState) override;

 protected:
  int GetContentHeight() override;
  void DrawTabFrame(TcxCanvas* ACanvas, int AIndex, const TRect& R) override;
  // Whether this class draws through the theme; a descendant that answers
  // IsNativePainting for its own reasons keeps its own drawing.
  virtual bool UsesTabTheme();
  // The classic face: the tab colour, and the control colour in the band
  // between a tab that is not the main one and the page.
  void DrawClassicTabFace(TcxCanvas* ACanvas, int AIndex, const TRect& R);
  void DrawCorners(TcxCanvas* ACanvas, int AIndex, const TRect& R);

 private:
  void DrawMainTabPageLine(TcxCanvas* ACanvas, int AIndex, const TRect& R, vcl::TColor AColor);
  void DrawNativeTab(TcxCanvas* ACanvas, int AIndex);
};


// ---------------------------------------------------------------------------
// Button painters

// Tabs drawn as push buttons that go down when pressed or selected; not
// registered itself.
class TcxPCButtonedPainter : public TcxPCStandardPainter {
  RTL_CLASS(TcxPCButtonedPainter, TcxPCStandardPainter)

 public:
  bool IsTabDrawnDown(int AIndex) override;
  vcl::TColor GetTabColor(int AIndex) override;
  TPoint GetTabContentOffsets(int AIndex) override;
  TPoint GetTooLongTextContentOffsets(int AIndex) override;
  int GetNavigatorOffsetAcross() override;
  int GetNavigatorOffsetAlong() override;
  void GetTabsAreaExtents(TRect& AExtents) override;
  void CalculateTabsPosition(TcxPCTabsPosition& ATabsPosition) override;
  TcxCustomLookAndFeelPainter* GetLookAndFeelPainter() override;
  void DrawTabFocusRect(TcxCanvas* ACanvas, int AIndex) override;
  void DrawTabs(TcxCanvas* ACanvas) override;

 protected:
  // The one-pixel move of the content of a tab that is down.
  TPoint GetPressedShift(int AIndex);
};

class TcxPCButtonsPainter : public TcxPCButtonedPainter {
  RTL_CLASS(TcxPCButtonsPainter, TcxPCButtonedPainter)

 public:
  TcxPCStyleID GetStyleID() const override { return 2; }
  rtl::String GetStyleName() const override { return L"Buttons"; }
  TcxPCStandardStyle GetStandardStyle() const override { return TcxPCStandardStyle::tsButtons; }
  bool IsTabDrawnDown(int AIndex) override;

 protected:
  void DrawTabFrame(TcxCanvas* ACanvas, int AIndex, const TRect& R) override;
};

class TcxPCFlatButtonsPainter : public TcxPCButtonedPainter {
  RTL_CLASS(TcxPCFlatButtonsPainter, TcxPCButtonedPainter)

 public:
  TcxPCStyleID GetStyleID() const override { return 3; }
  rtl::String GetStyleName() const override { return L"FlatButtons"; }
  TcxPCStandardStyle GetStandardStyle() const override { return TcxPCStandardStyle::tsFlatButtons; }
  void DrawTab(TcxCanvas* ACanvas, int AIndex) override;

  // The gap after the tab that holds its separator; empty for the last tab
  // of a row.
  TRect GetSeparatorGap(int AIndex);

 protected:
  void DrawTabFrame(TcxCanvas* ACanvas, int AIndex, const TRect& R) override;
};

// ---------------------------------------------------------------------------
// Flat painters

// Each component of clBtnFace plus 20 (255 from 236 on), computed at the
// painters' start-up: the band the flat styles put their tabs on.
vcl::TColor cxPCLightBrushColor();
void cxPCCalculateLightBrushColor();

// Tabs on a light band; only the selected tab is outlined, the others are
// divided by short separators; lines close the band toward the page.
class TcxPCExtraFlatPainter : public TcxPCStandardPainter {
  RTL_CLASS(TcxPCExtraFlatPainter, TcxPCStandardPainter)

 public:
  TcxPCStyleID GetStyleID() const override { return 5; }
  rtl::String GetStyleName() const override { return L"ExtraFlat"; }
  bool IsStandardStyle() const override { return false; }

  int CalculateTabNormalHeight() override;
  int CalculateTabNormalWidth(TcxTabViewInfo* ATabViewInfo) override;
  void CorrectTabNormalWidth(int& AValue) override;
  int GetMinTabWidth(int AIndex) override;
  int GetHeaderButtonHeightBase() override;
  int GetHeaderButtonWidthBase(TcxPCNavigatorButton AButton) override;
  int GetHeaderButtonsDistance(TcxPCNavigatorButton AButton1, TcxPCNavigatorButton AButton2) override;
  int GetNavigatorOffsetAcross() override;
  int GetNavigatorOffsetAlong() override;
  TSize GetTabsDistance() override;
  TRect GetTabImageOffsets(int AIndex) override;
  TRect GetTabTextOffsets(int AIndex) override;
  TPoint GetTabContentOffsets(int AIndex) override;
  TPoint GetTooLongTextContentOffsets(int AIndex) override;
  TRect GetTabFullRectExtension(int AIndex) override;
  int GetTabImageAreaOffset() override { return Scaled(4); }
  int GetFrameWidth() override { return 1; }
  bool IsTabsDrawnFirst() override { return false; }
  bool AreTabsInvalid(TcxCanvas*) override { return true; }
  void CalculateTabsPosition(TcxPCTabsPosition& ATabsPosition) override;
  void GetPageClientRectOffset(TRect& AOffsets) override;
  void GetTabsAreaExtents(TRect& AExtents) override;
  vcl::TColor GetControlColor() override { return vcl::clBtnFace; }
  vcl::TColor GetTabColor(int AIndex) override;

  void PaintPageClientArea(TcxCanvas* ACanvas) override;
  void DrawFrame(TcxCanvas* ACanvas) override;
  void DrawTabs(TcxCanvas* ACanvas) override;
  void DrawTabFocusRect(TcxCanvas* ACanvas, int AIndex) override;
  void DrawNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButton AKind,
                           TcxPCNavigatorButtonState AState) override;
  void RepaintTab(int AIndex, int ACode) override;

  // The band of 2 pixels where the page meets the tabs; empty without tabs.
  TRect GetPageEdgeRect();
  // The rectangle a tab takes of its row with the band lines under it, or
  // with AWholeRow that of any tab of the row.
  TRect GetTabRowRect(int AIndex, bool AWholeRow);
  virtual vcl::TColor GetRowBackgroundColor();

 protected:
  int GetContentHeight() override;
  int GetBaseContentWidth() override { return 0; }
  int GetTabTextWidth(TcxTabViewInfo* ATabViewInfo) override;
  int GetDefaultTabHeight() override;
  void DrawTabFrame(TcxCanvas* ACanvas, int AIndex, const TRect& R) override;

  virtual vcl::TColor GetPageEdgeColor();
  virtual int GetSeparatorThickness() { return 1; }
  // Across the row: from its outer edge and from its page edge.
  virtual TPoint GetSeparatorOffsets() { return TPoint{2, 2}; }
  virtual int GetBandLineCount() { return 3; }
  virtual bool IsPageEdgeBandDrawn() { return false; }
  virtual TRect GetFocusCueRect(int AIndex);
  // The light and dark lines of the selected tab's outline.
  virtual vcl::TColor GetOutlineColor(bool ALight) { return ALight ? vcl::clWhite : vcl::clBlack; }
  // The band line at AIndex, counted from the page.
  virtual vcl::TColor GetBandLineColor(int ARow, int AIndex);
  virtual void DrawSeparator(TcxCanvas* ACanvas, const TRect& R);
  virtual void DrawPageFrameLines(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders);
  virtual void FillRowBackground(TcxCanvas* ACanvas, const TRect& R);
  virtual void FillButton(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButtonState AState);
  void DrawHeaderButtonFace(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButtonState AState) override;
  // The room the header buttons take beyond the painter's own height.
  int GetHeaderButtonsExcess();
  // The row of the main tab, or the row nearest the page without one.
  int GetPageRow();
  TRect GetRowRect(int ARow);
};

// The ExtraFlat layout in one-colour outlines, with smaller flat header
// buttons.
class TcxPCUltraFlatPainter : public TcxPCExtraFlatPainter {
  RTL_CLASS(TcxPCUltraFlatPainter, TcxPCExtraFlatPainter)

 public:
  TcxPCStyleID GetStyleID() const override { return 6; }
  rtl::String GetStyleName() const override { return L"UltraFlat"; }
  bool HasLookAndFeel(TcxLookAndFeel* ALookAndFeel) const override;

  int GetHeaderButtonHeightBase() override;
  int GetHeaderButtonWidthBase(TcxPCNavigatorButton AButton) override;
  int GetHeaderButtonsDistance(TcxPCNavigatorButton AButton1, TcxPCNavigatorButton AButton2) override;
  int GetNavigatorOffsetAcross() override;
  void DrawNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButton AKind,
                           TcxPCNavigatorButtonState AState) override;

 protected:
  TRect GetFocusCueRect(int AIndex) override;
  vcl::TColor GetOutlineColor(bool) override { return vcl::clBlack; }
  vcl::TColor GetBandLineColor(int ARow, int AIndex) override;
  void DrawPageFrameLines(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders) override;
  void FillButton(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButtonState AState) override;
  void DrawHeaderButtonFace(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButtonState AState) override;
  virtual vcl::TColor GetButtonFrameColor(TcxPCNavigatorButtonState AState);
  virtual vcl::TColor GetButtonGlyphColor(TcxPCNavigatorButtonState AState);
};

// The UltraFlat layout filled with the gradients of the Office 2003 palette.
class TcxPCOffice11Painter : public TcxPCUltraFlatPainter {
  RTL_CLASS(TcxPCOffice11Painter, TcxPCUltraFlatPainter)

 public:
  void Create(TcxCustomTabControlViewInfo* AViewInfo) override;
  void Destroy() override;

  TcxPCStyleID GetStyleID() const override { return 8; }
  rtl::String GetStyleName() const override { return L"Office11"; }
  bool HasLookAndFeel(TcxLookAndFeel* ALookAndFeel) const override;
  TcxCustomLookAndFeelPainter* GetLookAndFeelPainter() override;

  void GetPageClientRectOffset(TRect& AOffsets) override;
  vcl::TColor GetControlColor() override { return GetFrameColor(); }
  vcl::TColor GetPageColor() override;
  bool IsTabFaceTransparent(int AIndex) override;
  void FillTabFace(TcxCanvas* ACanvas, const TRect& R, int AIndex, vcl::TColor AColor) override;
  void PaintPageClientArea(TcxCanvas* ACanvas) override;
  void DrawFrame(TcxCanvas* ACanvas) override;

  vcl::TColor GetFrameColor();

 protected:
  vcl::TColor GetPageEdgeColor() override;
  int GetSeparatorThickness() override { return 2; }
  TPoint GetSeparatorOffsets() override;
  int GetBandLineCount() override { return 1; }
  bool IsPageEdgeBandDrawn() override { return HasFrame(); }
  vcl::TColor GetOutlineColor(bool) override { return GetFrameColor(); }
  vcl::TColor GetBandLineColor(int, int) override { return GetFrameColor(); }
  void DrawSeparator(TcxCanvas* ACanvas, const TRect& R) override;
  void FillButton(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButtonState AState) override;
  vcl::TColor GetButtonFrameColor(TcxPCNavigatorButtonState AState) override;
  vcl::TColor GetButtonGlyphColor(TcxPCNavigatorButtonState AState) override;

 private:
  bool IsGradient();
  // The page's side away from the tabs, when tabs lie on both sides and no
  // frame is drawn.
  bool HasFarSideLine();
  void DrawFarSideLine(TcxCanvas* ACanvas);
  // A two-colour fill in the direction of the tabs; flat without gradients.
  void FillGradient(TcxCanvas* ACanvas, const TRect& R, vcl::TColor AColor1, vcl::TColor AColor2);
};

// Classic tabs with a one-pixel outline and a lightened inner line.
class TcxPCFlatPainter : public TcxPCTabsPainter {
  RTL_CLASS(TcxPCFlatPainter, TcxPCTabsPainter)

 public:
  TcxPCStyleID GetStyleID() const override { return 7; }
  rtl::String GetStyleName() const override { return L"Flat"; }
  bool IsStandardStyle() const override { return false; }
  bool HasLookAndFeel(TcxLookAndFeel* ALookAndFeel) const override;
  bool IsDefault(TcxLookAndFeel*) const override { return false; }

  bool IsNativePainting() override { return false; }
  int GetFrameWidth() override { return 1; }
  int GetHeaderButtonHeightBase() override;
  int GetHeaderButtonWidthBase(TcxPCNavigatorButton AButton) override;
  TcxCustomLookAndFeelPainter* GetLookAndFeelPainter() override;
  void DrawFrame(TcxCanvas* ACanvas) override;
  void DrawNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButton AKind,
                           TcxPCNavigatorButtonState AState) override;

 protected:
  bool UsesTabTheme() override { return false; }
  void DrawHeaderButtonFace(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButtonState AState) override;
  // The main tab stays inside its own rectangle: the page frame under it
  // is kept.
  TRect GetTabClipRect(int AIndex) override;
  void DrawTabFrame(TcxCanvas* ACanvas, int AIndex, const TRect& R) override;
};

// ---------------------------------------------------------------------------
// Slanted and OneNote painters
//
// - TcxPCSlantedPainter (style 9, "Slanted"): tabs are polygons whose ends are
//   cut or slanted by the settings' TabSlants; neighbours overlap, the
//   selected tab lies on top, faces are shaded with a two-colour gradient
//   and tabs take their page's colour;
// - TcxPCOneNotePainter (style 10, "OneNote"): notebook tabs with a long
//   slant at the left end and a curved right corner, outlined in a small
//   palette that follows the Office colour scheme.
// Neither claims a look and feel: they are chosen only through Style.

class TcxRegion;

// The side of a figure a segment of its outline lies on.
RTL_ENUM(TLinePosition, lpL, lpLT, lpT, lpRT, lpR, lpRB, lpB, lpLB);

// An outline: the points in drawing order and, for each segment between two
// neighbouring points, its line position (one fewer than the points).
struct TcxPCTabOutline {
  std::vector<TPoint> Points;
  std::vector<TLinePosition> Lines;
};

// The points of a slanted tab's outline, told for a tab on top in the frame
// of its full rectangle's left L and bottom B, W long along its row and H
// deep: from the page side of the left end up, along the top and down the
// right end.
TcxPCTabOutline cxPCSlantedTabOutline(int L, int B, int W, int H, TcxTabSlantKind AKind,
                                      TcxTabSlantPositions APositions, bool ARotated);
// The polygon of a figure region made from that outline mapped into R at
// the painting position: with the outline pixels (AIncludeOutline) or
// without them.
std::vector<TPoint> cxPCFigureRegionPoints(const TcxPCTabOutline& AOutline, const TRect& R,
                                           TcxTabPosition APosition, bool AIncludeOutline);

class TcxPCSlantedPainter : public TcxPCStandardPainter {
  RTL_CLASS(TcxPCSlantedPainter, TcxPCStandardPainter)

 public:
  TcxPCStyleID GetStyleID() const override { return 9; }
  rtl::String GetStyleName() const override { return L"Slanted"; }
  bool IsStandardStyle() const override { return false; }

  bool AllowMultilineCaption() override { return false; }
  bool IsTabDrawnDown(int) override { return false; }
  void PrepareCalculation() override;
  int CalculateTabNormalWidth(TcxTabViewInfo* ATabViewInfo) override;
  void CorrectTabNormalWidth(int&) override {}
  int GetMinTabWidth(int AIndex) override;
  int GetHeaderButtonHeightBase() override;
  int GetHeaderButtonWidthBase(TcxPCNavigatorButton AButton) override;
  int GetHeaderButtonsDistance(TcxPCNavigatorButton AButton1, TcxPCNavigatorButton AButton2) override;
  int GetNavigatorToTabsDistance() override;
  int GetNavigatorOffsetAcross() override;
  int GetNavigatorOffsetAlong() override;
  int GetTabImageAreaOffset() override { return 3; }
  TRect GetTabImageOffsets(int AIndex) override;
  TRect GetTabTextOffsets(int AIndex) override;
  TPoint GetTabContentOffsets(int AIndex) override;
  TPoint GetTooLongTextContentOffsets(int AIndex) override;
  TSize GetTabsDistance() override;
  int GetFrameWidth() override { return 1; }
  void GetPageClientRectOffset(TRect& AOffsets) override;
  TRect GetPageClientRect() override;
  void CalculateTabsPosition(TcxPCTabsPosition& ATabsPosition) override;
  vcl::TColor GetTabColor(int AIndex) override;
  bool IsTabHit(int AIndex, int X, int Y) override;

  void DrawFrame(TcxCanvas* ACanvas) override;
  void DrawNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButton AKind,
                           TcxPCNavigatorButtonState AState) override;
  void DrawHeaderButtonFace(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButtonState AState) override;
  void DrawTab(TcxCanvas* ACanvas, int AIndex) override;
  void DrawTabFocusRect(TcxCanvas* ACanvas, int AIndex) override;
  void DrawTabs(TcxCanvas* ACanvas) override;

  // The region a tab occupies: its figure with the outline, within its
  // visible rectangle; for the main tab also the band between it and the
  // page. The caller frees it.
  TcxRegion* GetTabClipRegion(int AIndex);
  int GetCutValue() const { return FCutValue; }

 protected:
  // The tab row height found at the start of the layout.
  int GetTabNormalHeight() const { return FTabNormalHeight; }
  int GetContentHeight() override;
  // The ends of the tabs that slant, as bits: left 1, right 2.
  virtual int GetSlantSides();
  virtual int GetCutSize();
  virtual vcl::TColor GetOutlineColor();
  virtual int GetMinimumWidth();
  // Whether a hot main tab is shaded like the others instead of flat.
  virtual bool IsHotMainTabShaded() { return false; }
  // The highlight strip at the outer edge of a hot or main tab.
  virtual bool HasHighlightStrip() { return true; }
  // Offsets of the tabs area told for tabs on top.
  virtual TRect GetTabsAreaOffsets();
  TRect GetTabsContainerOffsets() override;
  // The figure of a tab in its full rectangle, with or without the outline
  // pixels. The caller frees it.
  virtual TcxRegion* GetTabFigureRegion(int AIndex, bool AIncludeOutline);
  virtual void DrawTabOutline(TcxCanvas* ACanvas, int AIndex, const TRect& R);
  virtual void DrawMainTabPageSide(TcxCanvas* ACanvas, int AIndex, const TRect& R);
  void DrawTabFrame(TcxCanvas* ACanvas, int AIndex, const TRect& R) override;
  bool IsTabsContainer() const;
  TcxTabSlants* Slants() const;
  // The pixel line beyond the tab toward the page, told as a rectangle.
  TRect GetPageSideBand(const TRect& R, TcxTabPosition APosition) const;

 private:
  int GetWidthWithoutText(int AIndex);
  void DrawTabArea(TcxCanvas* ACanvas, int AIndex);
  void DrawTabFace(TcxCanvas* ACanvas, int AIndex, const TRect& R);
  void DrawRowLine(TcxCanvas* ACanvas, int ARow, const TcxPCIndexInterval& ATabs);

  int FCutValue = 6;
  int FTabNormalHeight = 0;
};

class TcxPCOneNotePainter : public TcxPCSlantedPainter {
  RTL_CLASS(TcxPCOneNotePainter, TcxPCSlantedPainter)

 public:
  TcxPCStyleID GetStyleID() const override { return 10; }
  rtl::String GetStyleName() const override { return L"OneNote"; }

  bool IsTabRotationSupported() override { return false; }
  TRect GetTabImageOffsets(int AIndex) override;
  TRect GetTabTextOffsets(int AIndex) override;
  TPoint GetTabContentOffsets(int AIndex) override;
  TPoint GetTooLongTextContentOffsets(int AIndex) override;
  TSize GetTabsDistance() override;
  int GetNavigatorOffsetAcross() override;

 protected:
  int GetSlantSides() override { return 1; }
  int GetCutSize() override;
  vcl::TColor GetOutlineColor() override;
  int GetMinimumWidth() override { return GetCutSize() + 4; }
  bool IsHotMainTabShaded() override { return true; }
  bool HasHighlightStrip() override { return false; }
  TRect GetTabsAreaOffsets() override { return TRect{4, 0, 4, 0}; }
  TRect GetTabsContainerOffsets() override;
  TcxRegion* GetTabFigureRegion(int AIndex, bool AIncludeOutline) override;
  void DrawTabOutline(TcxCanvas* ACanvas, int AIndex, const TRect& R) override;
  void DrawMainTabPageSide(TcxCanvas* ACanvas, int AIndex, const TRect& R) override;

 private:
  // The colour behind the tab at P told for tabs on top: the face of the
  // tab found there, else the control colour.
  vcl::TColor GetColorAt(int AIndex, const TRect& R, const TPoint& P);
};

// The OneNote palette by role (0 outline of the main tab, 1 of other tabs,
// 3 of a hot tab, 5 base of the inner lines), as the current Office colour
// scheme gives it. Computed at the painters' start-up and on every system
// colour change.
vcl::TColor cxPCOneNotePaletteColor(int AIndex);
// The palette's table entry of an Office scheme (0 none, 1 blue, 2 olive,
// 3 silver); clNone outside it.
vcl::TColor cxPCOneNoteSchemeColor(int AScheme, int AIndex);
void cxPCOneNoteCalculatePalette();
// Computes the palette and keeps it following system colour changes until
// the shut-down step.
void cxPCOneNoteStartUp();
void cxPCOneNoteShutDown();
