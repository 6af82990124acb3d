// The tab painters of the page control's built-in styles:
// - TcxPCStandardPainter, not registered itself: the metrics from tables by
//   standard style, the header buttons with their arrows, the page frame and
//   the bitmap-buffered drawing of one tab;
// - TcxPCTabsPainter (style 1, "Tabs"): the tabs of a classic tab control,
//   raised with clipped corners; the default style and the style of the
//   standard and native look and feels.
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
  virtual void DrawNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButton AKind,
                                   TcxPCNavigatorButtonState AState);
  void DrawTab(TcxCanvas* ACanvas, int AIndex) override;
  void DrawTabFocusRect(TcxCanvas* ACanvas, int AIndex) override;
  void RepaintTab(int AIndex, int ACode) override;

  TRect GetButtonsRect() const { return FButtonsRect; }

 protected:
  // The content height of a tab: images and the tallest caption.
  virtual int GetContentHeight();
  int GetDefaultTabHeight();
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

 protected:
  int GetContentHeight() override;
  void DrawTabFrame(TcxCanvas* ACanvas, int AIndex, const TRect& R) override;

 private:
  void DrawCorners(TcxCanvas* ACanvas, int AIndex, const TRect& R);
  void DrawMainTabPageLine(TcxCanvas* ACanvas, int AIndex, const TRect& R, vcl::TColor AColor);
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
  virtual TRect GetTabsContainerOffsets();
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
