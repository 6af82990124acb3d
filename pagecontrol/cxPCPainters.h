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
