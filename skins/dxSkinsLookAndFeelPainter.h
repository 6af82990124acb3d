#pragma once
// The skin look-and-feel painter: the painter of one skin package, read
// from the program's resources on first use. Every override draws from the
// skin information when it holds what the operation needs and otherwise
// does what the Office-like painter it derives from does. A package that
// cannot be loaded is reported once through the application's handler, and
// the painter then draws as the Office-like painter.
// (The sources are split by element family: dxSkinsLookAndFeelPainter*.cpp.)

#include <windows.h>

#include <span>

#include "lookandfeel/cxLookAndFeelPainters.h"
#include "platform/rtl/System.h"
#include "skins/dxSkinInfo.h"
#include "skins/dxSkinsCore.h"

class TcxBitmap32;
class TdxScaleFactor;

// Every pixel of a 32-bit bitmap turned grey, lightened by its alpha; the
// alpha stays.
void dxSkinsGrayScaleBitmap(TcxBitmap32* ABitmap);

class TdxSkinLookAndFeelPainter : public TcxOffice11LookAndFeelPainter {
  RTL_CLASS(TdxSkinLookAndFeelPainter, TcxOffice11LookAndFeelPainter)

 public:
  // Keeps the resource name and module; reads nothing.
  virtual void Create(const rtl::String& ASkinResName, HINSTANCE ASkinResInstance);
  void Destroy() override;

  // The skin information, loading the skin on the first request.
  TdxSkinLookAndFeelPainterInfo* SkinInfo();
  // The loaded skin's details, or those read from the package's details
  // block alone; nil without a package.
  TdxSkinDetails* SkinDetails();
  const rtl::String& GetSkinResName() const { return FSkinResName; }
  HINSTANCE GetSkinResInstance() const { return FSkinResInstance; }

  // Identity and data
  bool GetPainterData(void* AData) override;
  bool GetPainterDetails(TdxSkinDetails*& ADetails) override;
  rtl::String LookAndFeelName() override;
  TcxLookAndFeelStyle LookAndFeelStyle() override;

  // Default colours
  vcl::TColor DefaultContentColor() override;
  vcl::TColor DefaultContentEvenColor() override;
  vcl::TColor DefaultContentOddColor() override;
  vcl::TColor DefaultContentTextColor() override;
  vcl::TColor DefaultControlColor() override;
  vcl::TColor DefaultControlTextColor() override;
  vcl::TColor DefaultChartHistogramPlotColor() override;
  vcl::TColor DefaultGridDetailsSiteColor() override;
  vcl::TColor GetCustomizationFormListBackgroundColor() override;
  vcl::TColor DefaultInactiveColor() override;
  vcl::TColor DefaultInactiveTextColor() override;
  vcl::TColor DefaultSelectionColor() override;
  vcl::TColor DefaultSelectionTextColor() override;
  vcl::TColor DefaultHyperlinkTextColor() override;
  vcl::TColor DefaultPreviewTextColor() override;
  vcl::TColor DefaultEditorBackgroundColorEx(TcxEditStateColorKind AKind) override;
  vcl::TColor DefaultEditorTextColorEx(TcxEditStateColorKind AKind) override;
  vcl::TColor DefaultSizeGripAreaColor() override;
  vcl::TColor LayoutControlEmptyAreaColor() override;
  vcl::TColor DefaultHeaderColor() override;
  vcl::TColor DefaultHeaderTextColor() override;
  vcl::TColor DefaultHeaderBackgroundColor() override;
  vcl::TColor DefaultHeaderBackgroundTextColor() override;
  vcl::TColor DefaultFooterColor() override;
  vcl::TColor DefaultFooterTextColor() override;
  vcl::TColor DefaultFilterBoxTextColor() override;
  vcl::TColor DefaultFixedSeparatorColor() override;
  vcl::TColor DefaultRecordSeparatorColor() override;
  vcl::TColor DefaultGridLineColor() override;
  vcl::TColor DefaultGroupColor() override;
  vcl::TColor DefaultGroupTextColor() override;
  TRect DefaultGroupContentOffsets() override;
  vcl::TColor DefaultGroupByBoxTextColor() override;
  vcl::TColor DefaultSeparatorColor() override;
  vcl::TColor DefaultTreeListGridLineColor() override;
  vcl::TColor DefaultTreeListTreeLineColor() override;
  vcl::TColor DefaultTabTextColor() override;
  vcl::TColor GridLikeControlContentColor() override;
  vcl::TColor GridLikeControlContentEvenColor() override;
  vcl::TColor GridLikeControlContentOddColor() override;
  vcl::TColor GridLikeControlContentTextColor() override;
  vcl::TColor GridLikeControlBackgroundColor() override;
  vcl::TColor DefaultVGridBandLineColor() override;
  vcl::TColor DefaultVGridCategoryColor() override;
  vcl::TColor DefaultVGridCategoryTextColor() override;
  vcl::TColor DefaultVGridContentColor() override;
  vcl::TColor DefaultVGridContentEvenColor() override;
  vcl::TColor DefaultVGridContentOddColor() override;
  vcl::TColor DefaultVGridHeaderColor() override;
  vcl::TColor DefaultVGridHeaderTextColor() override;
  vcl::TColor DefaultVGridLineColor() override;
  vcl::TColor DefaultDateNavigatorHeaderColor() override;
  vcl::TColor DefaultDateNavigatorHeaderTextColor(bool AIsHighlight) override;
  vcl::TColor DefaultDateNavigatorTextColor() override;
  vcl::TColor DefaultDateNavigatorHolydayTextColor() override;
  vcl::TColor DefaultDateNavigatorInactiveTextColor() override;
  vcl::TColor DefaultDateNavigatorSelectionColor() override;
  vcl::TColor DefaultDateNavigatorSelectionTextColor() override;
  vcl::TColor DefaultDateNavigatorSeparator1Color() override;
  vcl::TColor DefaultDateNavigatorSeparator2Color() override;
  vcl::TColor DefaultDateNavigatorTodayFrameColor() override;
  using TcxCustomLookAndFeelPainter::DefaultDateNavigatorTodayTextColor;
  vcl::TColor DefaultDateNavigatorTodayTextColor(bool ASelected) override;
  vcl::TColor DefaultSchedulerBackgroundColor() override;
  vcl::TColor DefaultSchedulerControlColor() override;
  vcl::TColor DefaultSchedulerBorderColor() override;
  vcl::TColor DefaultSchedulerContentColor(int AResourceIndex) override;
  vcl::TColor DefaultSchedulerViewContentColor() override;
  vcl::TColor DefaultSchedulerViewContentColorClassic() override;
  vcl::TColor DefaultSchedulerYearViewUnusedContentColor(bool AIsWorkTime) override;
  vcl::TColor DefaultSchedulerDateNavigatorArrowColor(bool AIsHighlight) override;
  vcl::TColor DefaultSchedulerDayHeaderColor() override;
  vcl::TColor DefaultSchedulerDayHeaderTextColor() override;
  vcl::TColor DefaultSchedulerNavigatorColor() override;
  vcl::TColor DefaultSchedulerTimeRulerColor() override;
  vcl::TColor DefaultSchedulerTimeRulerTextColorClassic() override;
  vcl::TColor DefaultSchedulerViewTextColor() override;
  vcl::TColor DefaultSchedulerViewSelectedTextColor() override;
  vcl::TColor DefaultTimeGridMajorScaleTextColor() override;
  vcl::TColor DefaultTimeGridMinorScaleTextColor() override;
  vcl::TColor SpreadSheetContentColor() override;
  vcl::TColor SpreadSheetContentTextColor() override;
  vcl::TColor SpreadSheetFrozenPaneSeparatorColor() override;
  vcl::TColor SpreadSheetGroupLineColor() override;
  vcl::TColor SpreadSheetSelectionColor() override;
  vcl::TColor RichEditRulerDefaultTabColor() override;
  vcl::TColor RichEditRulerTextColor() override;
  vcl::TColor RichEditControlHeaderFooterLineColor() override;
  vcl::TColor RichEditControlHeaderFooterMarkBackColor() override;
  vcl::TColor RichEditControlHeaderFooterMarkTextColor() override;
  vcl::TColor DefaultLayoutViewContentTextColor(TcxButtonState AState) override;

  // Buttons
  void DrawScaledButton(TcxCanvas* ACanvas, const TRect& R, const rtl::String& ACaption, TcxButtonState AState,
                        const TdxScaleFactor* AScaleFactor, bool ADrawBorder = true,
                        vcl::TColor AColor = vcl::clDefault, vcl::TColor ATextColor = vcl::clDefault,
                        bool AWordWrap = false, bool AIsToolButton = false,
                        TcxButtonPart APart = TcxButtonPart::cxbpButton) override;
  int ButtonBorderSize(TcxButtonState AState = TcxButtonState::cxbsNormal) override;
  IdxColorPalette* ButtonColorPalette(TcxButtonState AState) override;
  vcl::TColor ButtonSymbolColor(TcxButtonState AState, vcl::TColor ADefaultColor = vcl::clDefault) override;
  vcl::TColor ButtonDescriptionTextColor(TcxButtonState AState, vcl::TColor ADefaultColor = vcl::clDefault) override;
  int GetScaledDropDownButtonRightPartSize(const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledBackButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                            const TdxScaleFactor* AScaleFactor) override;
  TSize GetScaledBackButtonSize(const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledSmallButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                             const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledSmallCloseButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                  const TdxScaleFactor* AScaleFactor) override;
  TSize DoGetSmallCloseButtonSize() override;
  IdxColorPalette* GetSmallButtonColorPalette(TcxButtonState AState) override;
  void DrawScaledZoomInButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                              const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledZoomOutButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                               const TdxScaleFactor* AScaleFactor) override;
  TSize GetScaledZoomInButtonSize(const TdxScaleFactor* AScaleFactor) override;
  TSize GetScaledZoomOutButtonSize(const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledSliderButton(TcxCanvas* ACanvas, const TRect& ARect, TcxArrowDirection ADirection,
                              TcxButtonState AState, const TdxScaleFactor* AScaleFactor) override;
  TSize ScaledSliderButtonSize(TcxArrowDirection ADirection, const TdxScaleFactor* AScaleFactor) override;
  void DoDrawSizeGrip(TcxCanvas* ACanvas, const TRect& ARect, const TdxScaleFactor* AScaleFactor) override;
  TSize ScaledSizeGripSize(const TdxScaleFactor* AScaleFactor) override;
  void DrawLabelLine(TcxCanvas* ACanvas, const TRect& R, vcl::TColor AOuterColor, vcl::TColor AInnerColor,
                     bool AIsVertical) override;
  void DoDrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool AIsVertical) override;
  int LabelLineHeight() override;
  int SeparatorSize() override;

  // Expand buttons
  void DrawScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded, const TdxScaleFactor* AScaleFactor,
                              vcl::TColor AColor = vcl::clDefault,
                              TcxExpandButtonState AState = TcxExpandButtonState::cebsNormal) override;
  void DrawScaledExpandButtonEx(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AExpanded,
                                const TdxScaleFactor* AScaleFactor,
                                TcxRotationAngle ARotationAngle = TcxRotationAngle::ra0) override;
  void DrawScaledSmallExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded, vcl::TColor ABorderColor,
                                   const TdxScaleFactor* AScaleFactor, vcl::TColor AColor = vcl::clDefault) override;
  int ScaledExpandButtonSize(const TdxScaleFactor* AScaleFactor) override;

  // Check boxes, radio buttons and toggle switches
  using TcxCustomLookAndFeelPainter::DrawScaledCheckButton;
  void DrawScaledCheckButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                             TcxCheckBoxState ACheckState, const TdxScaleFactor* AScaleFactor) override;
  TSize ScaledCheckButtonSize(const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledRadioButton(TcxCanvas* ACanvas, int X, int Y, TcxButtonState AButtonState, bool AChecked,
                             bool AFocused, vcl::TColor ABrushColor, const TdxScaleFactor* AScaleFactor,
                             bool AIsDesigning = false) override;
  TSize ScaledRadioButtonSize(const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledToggleSwitchState(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState, bool AChecked,
                                   const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledToggleSwitchThumb(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                   const TdxScaleFactor* AScaleFactor) override;
  IdxColorPalette* GetToggleSwitchColorPalette() override;
  int GetToggleSwitchThumbPercentsWidth() override;
  vcl::TColor GetToggleSwitchTextColor() override;

  // Scroll bars and splitters
  void DrawScaledScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const TRect& R, TcxScrollBarPart APart,
                               TcxButtonState AState, const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledScrollBarBackground(TcxCanvas* ACanvas, const TRect& R, bool AHorizontal,
                                     const TdxScaleFactor* AScaleFactor) override;
  int ScaledScrollBarMinimalThumbSize(bool AVertical, const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledScrollBarSplitter(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                   const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledSplitter(TcxCanvas* ACanvas, const TRect& ARect, bool AHighlighted, bool AClicked, bool AHorizontal,
                          const TdxScaleFactor* AScaleFactor, bool AHasCloseMark = false,
                          TcxArrowDirection AArrowDirection = TcxArrowDirection::adLeft) override;
  TSize GetScaledSplitterSize(bool AHorizontal, const TdxScaleFactor* AScaleFactor) override;

  // Editor elements
  void DrawBorder(TcxCanvas* ACanvas, const TRect& R) override;
  void DrawContainerBorder(TcxCanvas* ACanvas, const TRect& R, TcxContainerBorderStyle AStyle, int AWidth,
                           vcl::TColor AColor, TcxBorders ABorders) override;
  vcl::TColor GetContainerBorderColor(bool AIsHighlightBorder) override;
  int GetContainerBorderWidth(TcxContainerBorderStyle ABorderStyle) override;
  void DrawEditPopupWindowBorder(TcxCanvas* ACanvas, TRect& R, TcxEditPopupBorderStyle ABorderStyle,
                                 bool AClientEdge) override;
  int GetEditPopupWindowBorderWidth(TcxEditPopupBorderStyle AStyle) override;
  int GetEditPopupWindowClientEdgeWidth(TcxEditPopupBorderStyle AStyle) override;
  // Merged borders: the button grows over the editor's frame.
  virtual void EditButtonAdjustRect(TRect& R, TcxEditBtnPosition APosition);
  void DrawScaledEditorButton(TcxCanvas* ACanvas, const TRect& ARect, TcxEditBtnKind AButtonKind,
                              TcxButtonState AState, const TdxScaleFactor* AScaleFactor,
                              TcxEditBtnPosition APosition = TcxEditBtnPosition::cxbpRight) override;
  void DrawScaledEditorButtonGlyph(TcxCanvas* ACanvas, const TRect& ARect, TcxEditBtnKind AButtonKind,
                                   TcxButtonState AState, const TdxScaleFactor* AScaleFactor,
                                   TcxEditBtnPosition APosition = TcxEditBtnPosition::cxbpRight) override;
  void DrawScaledSearchEditButtonGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                       const TdxScaleFactor* AScaleFactor) override;
  IdxColorPalette* EditButtonColorPalette(TcxButtonState AState) override;
  TSize EditButtonSize() override;
  vcl::TColor EditButtonTextColor() override;
  int EditButtonTextOffset() override;
  vcl::TColor CalcEditButtonTextColor(TcxCalcButtonKind AButtonKind) override;
  void DrawProgressBarBorder(TcxCanvas* ACanvas, const TRect& ARect, bool AVertical) override;
  void DrawProgressBarChunk(TcxCanvas* ACanvas, const TRect& ARect, bool AVertical) override;
  TRect ProgressBarBorderSize(bool AVertical) override;
  vcl::TColor ProgressBarTextColorEx(bool AIsFilledArea) override;
  void DrawTrackBarScaledThumb(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState, bool AHorizontal,
                               TcxTrackBarTicksAlign ATicks, vcl::TColor AThumbColor,
                               const TdxScaleFactor* AScaleFactor) override;
  TSize TrackBarScaledThumbSize(bool AHorizontal, const TdxScaleFactor* AScaleFactor) override;
  int TrackBarScaledTrackSize(const TdxScaleFactor* AScaleFactor) override;
  vcl::TColor TrackBarTicksColor(bool AText) override;
  void DrawTrackBarScaledTrack(TcxCanvas* ACanvas, const TRect& ARect, const TRect& ASelection, bool AShowSelection,
                               bool AEnabled, bool AHorizontal, vcl::TColor ATrackColor,
                               const TdxScaleFactor* AScaleFactor) override;
  vcl::TColor NavigatorInfoPanelColor() override;
  vcl::TColor NavigatorInfoPanelTextColor() override;
  void GetBevelShapeColors(vcl::TColor& AColor1, vcl::TColor& AColor2) override;
  TSize GetBevelMinimalShapeSize(TdxBevelShape AShape) override;

  // Clock
  TSize ScaledClockSize(const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledClock(TcxCanvas* ACanvas, const TRect& ARect, rtl::TDateTime ADateTime, vcl::TColor ABackgroundColor,
                       const TdxScaleFactor* AScaleFactor) override;

  // Data navigator
  void DrawNavigatorBorder(TcxCanvas* ACanvas, const TRect& R, bool ASelected) override;
  void DrawNavigatorScaledButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                 vcl::TColor ABackgroundColor, const TdxScaleFactor* AScaleFactor) override;
  void DrawNavigatorScaledButtonGlyph(TcxCanvas* ACanvas, vcl::TCustomImageList* AImageList, int AImageIndex,
                                      const TRect& AGlyphRect, bool AEnabled, bool AUserGlyphs,
                                      const TdxScaleFactor* AScaleFactor) override;
  bool NavigatorBorderOverlap() override;
  TRect NavigatorScaledButtonGlyphPadding(const TdxScaleFactor* AScaleFactor) override;
  TSize NavigatorScaledButtonGlyphSize(const TdxScaleFactor* AScaleFactor) override;
  IdxColorPalette* NavigatorButtonColorPalette(bool AEnabled) override;
  TPoint NavigatorButtonPressedGlyphOffset() override;
  vcl::TColor NavigatorButtonTextColor(TcxButtonState AState) override;

  // Range track bars: the thumbs are drawn for a horizontal bar with ticks
  // below and turned or mirrored for the other layouts.
  TdxSkinElement* GetRangeTrackBarLeftThumbSkinElement(bool AHorizontal, TcxTrackBarTicksAlign ATicks);
  TdxSkinElement* GetRangeTrackBarRightThumbSkinElement(bool AHorizontal, TcxTrackBarTicksAlign ATicks);
  bool DrawRangeTrackBarScaledThumbSkinElement(TcxCanvas* ACanvas, TdxSkinElement* ASkinElement, const TRect& ARect,
                                               TcxButtonState AState, bool AHorizontal, TcxTrackBarTicksAlign ATicks,
                                               const TdxScaleFactor* AScaleFactor);
  TSize RangeTrackBarScaledLeftThumbSize(bool AHorizontal, TcxTrackBarTicksAlign ATicks,
                                         const TdxScaleFactor* AScaleFactor) override;
  TSize RangeTrackBarScaledRightThumbSize(bool AHorizontal, TcxTrackBarTicksAlign ATicks,
                                          const TdxScaleFactor* AScaleFactor) override;
  void DrawRangeTrackBarScaledLeftThumb(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState,
                                        bool AHorizontal, TcxTrackBarTicksAlign ATicks, vcl::TColor AThumbColor,
                                        const TdxScaleFactor* AScaleFactor) override;
  void DrawRangeTrackBarScaledRightThumb(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState,
                                         bool AHorizontal, TcxTrackBarTicksAlign ATicks, vcl::TColor AThumbColor,
                                         const TdxScaleFactor* AScaleFactor) override;

  // Range control
  void DrawRangeControlScaledLeftThumb(TcxCanvas* ACanvas, const TRect& ARect, vcl::TColor AColor,
                                       TdxAlphaColor ABorderColor, const TdxScaleFactor* AScaleFactor) override;
  void DrawRangeControlScaledRightThumb(TcxCanvas* ACanvas, const TRect& ARect, vcl::TColor AColor,
                                        TdxAlphaColor ABorderColor, const TdxScaleFactor* AScaleFactor) override;
  void DrawRangeControlScaledRulerHeader(TcxCanvas* ACanvas, const TRect& ARect, bool AIsHot, TdxAlphaColor AColor,
                                         TdxAlphaColor ABorderColor, const TdxScaleFactor* AScaleFactor) override;
  void DrawRangeControlScaledSizingGlyph(TcxCanvas* ACanvas, const TRect& ARect, TdxAlphaColor ABorderColor,
                                         const TdxScaleFactor* AScaleFactor) override;
  TSize GetRangeControlScaledSizingGlyphSize(const TdxScaleFactor* AScaleFactor) override;
  TSize GetRangeControlScaledThumbSize(const TdxScaleFactor* AScaleFactor) override;
  int GetRangeControlScaledScrollAreaHeight(const TdxScaleFactor* AScaleFactor) override;
  vcl::TColor GetRangeControlBorderColor() override;
  vcl::TColor GetRangeControlBackColor() override;
  TdxAlphaColor GetRangeControlElementsBorderColor() override;
  TdxAlphaColor GetRangeControlOutOfRangeColor() override;
  TdxAlphaColor GetRangeControlRulerColor() override;
  TdxAlphaColor GetRangeControlSelectedRegionBackgroundColor() override;
  TdxAlphaColor GetRangeControlSelectedRegionBorderColor() override;
  vcl::TColor GetRangeControlDefaultElementColor() override;
  vcl::TColor GetRangeControlElementForeColor() override;
  vcl::TColor GetRangeControlLabelColor() override;
  vcl::TColor GetRangeControlRangePreviewColor() override;
  vcl::TColor GetRangeControlScrollAreaColor() override;
  vcl::TColor GetRangeControlViewPortPreviewColor() override;

  // Rating indicators, tokens and wheel pickers
  void DrawRatingControlScaledIndicator(TcxCanvas* ACanvas, const TRect& ABounds,
                                        TdxRatingControlIndicatorState AState,
                                        const TdxScaleFactor* AScaleFactor) override;
  IdxColorPalette* GetRatingControlIndicatorColorPalette(TdxRatingControlIndicatorState AState) override;
  TSize GetRatingControlScaledIndicatorSize(const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledTokenBackground(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                 const TdxScaleFactor* AScaleFactor) override;
  IdxColorPalette* GetTokenColorPalette(TcxButtonState AState) override;
  vcl::TColor GetTokenTextColor(TcxButtonState AState) override;
  void DrawWheelPickerItem(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState) override;
  IdxColorPalette* GetWheelPickerColorPalette(TcxButtonState AState) override;

  // Breadcrumb edit
  vcl::TColor BreadcrumbEditBackgroundColor(TdxBreadcrumbEditState AState) override;
  // The skin's border colour of the state, else of the normal state, else
  // clDefault.
  virtual vcl::TColor BreadcrumbEditBordersColor(TdxBreadcrumbEditState AState);
  void DrawBreadcrumbEditBorders(TcxCanvas* ACanvas, const TRect& ARect, TcxBorders ABorders,
                                 TdxBreadcrumbEditState AState) override;
  void DrawBreadcrumbEditScaledButtonCore(TcxCanvas* ACanvas, const TRect& ARect, TdxSkinElement* AButtonElement,
                                          TdxBreadcrumbEditButtonState AState, bool AIsFirst, bool AIsLast,
                                          const TdxScaleFactor* AScaleFactor);
  void DrawBreadcrumbEditScaledButton(TcxCanvas* ACanvas, const TRect& ARect, TdxBreadcrumbEditButtonState AState,
                                      bool AIsFirst, bool AIsLast, const TdxScaleFactor* AScaleFactor) override;
  void DrawBreadcrumbEditScaledDropDownButton(TcxCanvas* ACanvas, const TRect& ARect,
                                              TdxBreadcrumbEditButtonState AState, bool AIsInEditor,
                                              const TdxScaleFactor* AScaleFactor) override;
  void DrawBreadcrumbEditScaledDropDownButtonGlyph(TcxCanvas* ACanvas, const TRect& ARect,
                                                   TdxBreadcrumbEditButtonState AState, bool AIsInEditor,
                                                   const TdxScaleFactor* AScaleFactor) override;
  void DrawBreadcrumbEditScaledNode(TcxCanvas* ACanvas, const TRect& R, TdxBreadcrumbEditButtonState AState,
                                    bool AHasDelimiter, const TdxScaleFactor* AScaleFactor) override;
  void DrawBreadcrumbEditScaledNodeDelimiter(TcxCanvas* ACanvas, const TRect& R, TdxBreadcrumbEditButtonState AState,
                                             const TdxScaleFactor* AScaleFactor) override;
  void DrawBreadcrumbEditScaledNodeDelimiterGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                  TdxBreadcrumbEditButtonState AState,
                                                  const TdxScaleFactor* AScaleFactor) override;
  void DrawBreadcrumbEditScaledNodeMoreButtonGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                   TdxBreadcrumbEditButtonState AState,
                                                   const TdxScaleFactor* AScaleFactor) override;
  void DrawBreadcrumbEditScaledButtonAreaSeparator(TcxCanvas* ACanvas, const TRect& ARect,
                                                   TdxBreadcrumbEditState AState,
                                                   const TdxScaleFactor* AScaleFactor) override;
  void DrawBreadcrumbEditScaledProgressChunk(TcxCanvas* ACanvas, const TRect& R,
                                             const TdxScaleFactor* AScaleFactor) override;
  void DrawBreadcrumbEditScaledProgressChunkOverlay(TcxCanvas* ACanvas, const TRect& R,
                                                    const TdxScaleFactor* AScaleFactor) override;
  vcl::TColor BreadcrumbEditNodeTextColor(TdxBreadcrumbEditButtonState AState) override;
  IdxColorPalette* BreadcrumbEditButtonColorPalette(TdxBreadcrumbEditButtonState AState) override;
  int BreadcrumbEditScaledButtonAreaSeparatorSize(const TdxScaleFactor* AScaleFactor) override;
  TRect BreadcrumbEditScaledButtonContentOffsets(bool AIsFirst, bool AIsLast,
                                                 const TdxScaleFactor* AScaleFactor) override;
  int BreadcrumbEditScaledDropDownButtonWidth(const TdxScaleFactor* AScaleFactor) override;
  bool BreadcrumbEditIsFadingSupports() override;
  TRect BreadcrumbEditScaledNodeTextOffsets(const TdxScaleFactor* AScaleFactor) override;
  TRect BreadcrumbEditScaledProgressChunkPadding(const TdxScaleFactor* AScaleFactor) override;
  TSize BreadcrumbEditScaledProgressChunkOverlaySize(const TdxScaleFactor* AScaleFactor) override;

  // Group boxes
  // Draws a caption element and fills the area behind its text with the
  // element's colour, the text rectangle grown by the padding.
  virtual void DrawCaptionSkinElement(TcxCanvas* ACanvas, const TRect& ARect, TdxSkinElementState AState,
                                      TdxSkinIntegerProperty* ATextPadding, TdxSkinElement* AElement,
                                      const TRect& ATextRect);
  void DrawGroupBoxContent(TcxCanvas* ACanvas, const TRect& ABorderRect, TcxGroupBoxCaptionPosition ACaptionPosition,
                           TcxBorders ABorders) override;
  void DrawGroupBoxFrame(TcxCanvas* ACanvas, const TRect& R, bool AEnabled, TcxGroupBoxCaptionPosition ACaptionPosition,
                         TcxBorders ABorders) override;
  void DrawGroupBoxBackground(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ARect) override;
  void DrawGroupBoxCaption(TcxCanvas* ACanvas, const TRect& ACaptionRect, const TRect& ATextRect,
                           TcxGroupBoxCaptionPosition ACaptionPosition) override;
  void DrawGroupBoxScaledButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                const TdxScaleFactor* AScaleFactor) override;
  void DrawGroupBoxScaledExpandGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AExpanded,
                                     const TdxScaleFactor* AScaleFactor) override;
  void DrawGroupBoxScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AExpanded,
                                      const TdxScaleFactor* AScaleFactor,
                                      TcxRotationAngle ARotationAngle = TcxRotationAngle::ra0) override;
  TRect GroupBoxBorderSize(bool ACaption, TcxGroupBoxCaptionPosition ACaptionPosition) override;
  void GroupBoxAdjustCaptionFont(vcl::TFont* ACaptionFont, TcxGroupBoxCaptionPosition ACaptionPosition) override;
  int GroupBoxCaptionTailSize(TcxGroupBoxCaptionPosition ACaptionPosition) override;
  vcl::TColor GroupBoxTextColor(bool AEnabled, TcxGroupBoxCaptionPosition ACaptionPosition) override;
  bool IsGroupBoxCaptionTextDrawnOverBorder(TcxGroupBoxCaptionPosition ACaptionPosition) override;
  bool IsGroupBoxTransparent(bool AIsCaption, TcxGroupBoxCaptionPosition ACaptionPosition) override;

  // Panels, layout control, scroll box
  void DrawPanelContent(TcxCanvas* ACanvas, const TRect& ARect, bool ADrawBorders) override;
  void DrawPanelBorders(TcxCanvas* ACanvas, const TRect& ABorderRect) override;
  TRect PanelBorderSize() override;
  vcl::TColor PanelTextColor() override;
  void DrawLayoutControlBackground(TcxCanvas* ACanvas, const TRect& R) override;
  void DrawScrollBoxBackground(TcxCanvas* ACanvas, const TRect& R, vcl::TColor AColor) override;
  IdxColorPalette* LayoutControlGetColorPaletteForGroupButton(TcxButtonState AState) override;
  IdxColorPalette* LayoutControlGetColorPaletteForItemCaption() override;

  // Galleries
  void DrawGalleryItemSelection(TcxCanvas* ACanvas, const TRect& R, const TdxGalleryItemViewState& AViewState) override;
  bool DrawGalleryItemSelectionFirst() override;
  void DrawGalleryBackground(TcxCanvas* ACanvas, const TRect& ABounds) override;
  void DrawGalleryGroupHeader(TcxCanvas* ACanvas, const TRect& ABounds) override;
  void DrawGalleryItemImageFrame(TcxCanvas* ACanvas, const TRect& R) override;
  vcl::TColor GetGalleryGroupTextColor() override;
  vcl::TColor GetGalleryItemCaptionTextColor(const TdxGalleryItemViewState& AState) override;
  vcl::TColor GetGalleryItemDescriptionTextColor(const TdxGalleryItemViewState& AState) override;
  IdxColorPalette* GetGalleryItemColorPalette(const TdxGalleryItemViewState& AState) override;
  TRect GetGalleryScaledGroupHeaderContentOffsets(const TdxScaleFactor* AScaleFactor) override;
  vcl::TColor GetColorGalleryGlyphFrameColor() override;

  // Grid elements: headers, sorting marks, footers, the filter, the group-by
  // box, layout-view records and items, Explorer-like views
  void DrawScaledHeader(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                        TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState,
                        rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                        bool AShowEndEllipsis, const rtl::String& AText, vcl::TFont* AFont, vcl::TColor ATextColor,
                        vcl::TColor ABkColor, const TdxScaleFactor* AScaleFactor,
                        TcxDrawBackgroundEvent AOnDrawBackground = {}, bool AIsLast = false,
                        bool AIsGroup = false) override;
  void DrawScaledHeaderEx(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                          TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState,
                          rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                          bool AShowEndEllipsis, const rtl::String& AText, vcl::TFont* AFont, vcl::TColor ATextColor,
                          vcl::TColor ABkColor, const TdxScaleFactor* AScaleFactor,
                          TcxDrawBackgroundEvent AOnDrawBackground = {}) override;
  void DrawScaledHeaderControlSection(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                                      TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState,
                                      rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                      bool AMultiLine, bool AShowEndEllipsis, const rtl::String& AText,
                                      vcl::TFont* AFont, vcl::TColor ATextColor, vcl::TColor ABkColor,
                                      const TdxScaleFactor* AScaleFactor) override;
  void DrawSpreadSheetScaledHeader(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                                   TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState,
                                   rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                                   bool AShowEndEllipsis, const rtl::String& AText, vcl::TFont* AFont,
                                   vcl::TColor ATextColor, vcl::TColor ABkColor, const TdxScaleFactor* AScaleFactor,
                                   TcxDrawBackgroundEvent AOnDrawBackground = {}, bool AIsLast = false,
                                   bool AIsGroup = false) override;
  void DrawHeaderPressed(TcxCanvas* ACanvas, const TRect& ABounds) override;
  void DrawHeaderSeparator(TcxCanvas* ACanvas, const TRect& ABounds, int AIndentSize, vcl::TColor AColor,
                           const TcxViewParams& AViewParams) override;
  TcxBorders HeaderBorders(TcxNeighbors ANeighbors) override;
  TRect HeaderContentOffsets(const TdxScaleFactor* AScaleFactor) override;
  bool HeaderDrawCellsFirst() override;
  bool GridDrawHeaderCellsFirst() override;
  int GridBordersOverlapSize() override;
  void DrawScaledSortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                             const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledSummarySortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                                    const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledSummaryValueSortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                                         const TdxScaleFactor* AScaleFactor) override;
  TPoint ScaledSummarySortingMarkSize(const TdxScaleFactor* AScaleFactor) override;
  TPoint ScaledSummaryValueSortingMarkSize(const TdxScaleFactor* AScaleFactor) override;
  void DrawFooterContent(TcxCanvas* ACanvas, const TRect& ARect, const TcxViewParams& AViewParams) override;
  void DrawFooterBorderEx(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders) override;
  void DrawFooterCellBorder(TcxCanvas* ACanvas, const TRect& R) override;
  void DrawFooterCellContent(TcxCanvas* ACanvas, const TRect& ABounds, rtl::TAlignment AAlignmentHorz,
                             TcxAlignmentVert AAlignmentVert, bool AMultiLine, const rtl::String& AText,
                             vcl::TFont* AFont, vcl::TColor ATextColor, vcl::TColor ABkColor,
                             TcxDrawBackgroundEvent AOnDrawBackground = {}) override;
  int FooterCellBorderSize() override;
  bool FooterDrawCellsFirst() override;
  vcl::TColor FooterSeparatorColor() override;
  void DrawFilterPanel(TcxCanvas* ACanvas, const TRect& ARect, bool ATransparent, vcl::TColor ABackgroundColor,
                       vcl::TGraphic* ABackgroundBitmap) override;
  void DrawScaledFilterDropDownButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                      bool AIsFilterActive, const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledFilterCloseButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                   const TdxScaleFactor* AScaleFactor) override;
  TPoint ScaledFilterActivateButtonSize(const TdxScaleFactor* AScaleFactor) override;
  TPoint ScaledFilterCloseButtonSize(const TdxScaleFactor* AScaleFactor) override;
  TSize ScaledFilterSmartTagSize(const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledFilterSmartTag(TcxCanvas* ACanvas, const TRect& R, TcxFilterSmartTagState AState,
                                bool AIsFilterActive, const TdxScaleFactor* AScaleFactor) override;
  void DrawFilterRowSeparator(TcxCanvas* ACanvas, const TRect& ARect, vcl::TColor ABackgroundColor) override;
  using TcxCustomLookAndFeelPainter::DrawScaledIndicatorItem;
  void DrawScaledIndicatorImage(TcxCanvas* ACanvas, const TRect& R, TcxIndicatorKind AKind,
                                const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledIndicatorCustomizationMark(TcxCanvas* ACanvas, const TRect& R, vcl::TColor AColor,
                                            const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledIndicatorItem(TcxCanvas* ACanvas, const TRect& R, const TRect& AImageAreaBounds,
                               TcxIndicatorKind AKind, vcl::TColor AColor, const TdxScaleFactor* AScaleFactor,
                               TcxDrawBackgroundEvent AOnDrawBackground, TcxNeighbors ANeighbors) override;
  void DrawScaledIndicatorItemEx(TcxCanvas* ACanvas, const TRect& R, TcxIndicatorKind AKind, vcl::TColor AColor,
                                 const TdxScaleFactor* AScaleFactor,
                                 TcxDrawBackgroundEvent AOnDrawBackground = {}) override;
  bool IndicatorDrawItemsFirst() override;
  void DrawSpreadSheetScaledGroupExpandButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                              const TdxScaleFactor* AScaleFactor) override;
  void DrawSpreadSheetScaledGroupExpandButtonGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                   bool AExpanded, const TdxScaleFactor* AScaleFactor,
                                                   vcl::TCustomImageList* ADefaultGlyphs) override;
  TRect SpreadSheetScaledGroupExpandButtonContentOffsets(const TdxScaleFactor* AScaleFactor) override;
  vcl::TColor SpreadSheetGroupExpandButtonTextColor(TcxButtonState AState) override;
  void DrawSpreadSheetFormulaBarScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                   bool AExpanded, const TdxScaleFactor* AScaleFactor) override;
  void DrawSpreadSheetFormulaBarScaledSeparator(TcxCanvas* ACanvas, const TRect& R,
                                                const TdxScaleFactor* AScaleFactor) override;
  IdxColorPalette* FilterControlMenuGetColorPalette() override;
  void DrawGroupByBox(TcxCanvas* ACanvas, const TRect& ARect, bool ATransparent, vcl::TColor ABackgroundColor,
                      vcl::TBitmap* ABackgroundBitmap) override;
  void LayoutViewDrawRecordCaption(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextRect,
                                   TcxGroupBoxCaptionPosition APosition, TcxButtonState AState,
                                   vcl::TColor AColor = vcl::clDefault, vcl::TBitmap* ABitmap = nullptr) override;
  void LayoutViewDrawRecordContent(TcxCanvas* ACanvas, const TRect& ABounds,
                                   TcxGroupBoxCaptionPosition ACaptionPosition, TcxButtonState AState,
                                   TcxBorders ABorders) override;
  void LayoutViewDrawScaledRecordExpandButton(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                              bool AExpanded, const TdxScaleFactor* AScaleFactor) override;
  void LayoutViewDrawItem(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                          TcxBorders ABorders) override;
  TRect LayoutViewGetPadding(TcxLayoutElement AElement) override;
  TRect LayoutViewGetSpacing(TcxLayoutElement AElement) override;
  int LayoutViewRecordCaptionTailSize(TcxGroupBoxCaptionPosition ACaptionPosition) override;
  bool LayoutViewRecordCaptionTextBold() override;
  void WinExplorerViewDrawGroup(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                vcl::TColor AColor = vcl::clDefault, vcl::TBitmap* ABitmap = nullptr) override;
  void WinExplorerViewDrawRecord(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                 vcl::TColor AColor = vcl::clDefault, vcl::TBitmap* ABitmap = nullptr) override;
  void WinExplorerViewDrawGroupCaptionLine(TcxCanvas* ACanvas, const TRect& ABounds) override;
  void WinExplorerViewDrawScaledRecordExpandButton(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                                   bool AExpanded, const TdxScaleFactor* AScaleFactor) override;
  int WinExplorerViewGroupCaptionLineHeight() override;
  vcl::TColor WinExplorerViewGroupTextColor(TcxButtonState AState) override;
  vcl::TColor WinExplorerViewRecordTextColor(TcxButtonState AState) override;
  bool WinExplorerViewGroupTextBold() override;

  // Hints, screen tips, window content
  void DrawHintBackground(TcxCanvas* ACanvas, const TRect& ARect, vcl::TColor AColor = vcl::clDefault) override;
  vcl::TColor GetHintBorderColor() override;
  void ScreenTipDrawBackground(TcxCanvas* ACanvas, const TRect& ARect) override;
  void ScreenTipDrawFooterLine(TcxCanvas* ACanvas, const TRect& ARect) override;
  int ScreenTipGetFooterLineSize() override;
  IdxColorPalette* ScreenTipGetColorPalette() override;
  vcl::TColor ScreenTipGetDescriptionTextColor() override;
  vcl::TColor ScreenTipGetTitleTextColor() override;
  void DrawWindowContent(TcxCanvas* ACanvas, const TRect& ARect) override;
  vcl::TColor GetWindowContentTextColor() override;

  // Drop-down list box
  void DrawDropDownListBoxBackground(TcxCanvas* ACanvas, const TRect& ARect, bool AHasBorders) override;
  void DrawDropDownListBoxScaledGutterBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                 const TdxScaleFactor* AScaleFactor) override;
  void DrawDropDownListBoxScaledSelection(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AGutterRect,
                                          const TdxScaleFactor* AScaleFactor) override;
  void DrawDropDownListBoxScaledSeparator(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AGutterRect,
                                          const TdxScaleFactor* AScaleFactor) override;
  vcl::TColor DropDownListBoxItemTextColor(bool ASelected) override;
  TRect DropDownListBoxScaledItemTextOffsets(const TdxScaleFactor* AScaleFactor) override;
  TRect DropDownListBoxScaledItemImageOffsets(const TdxScaleFactor* AScaleFactor) override;
  int DropDownListBoxScaledSeparatorSize(const TdxScaleFactor* AScaleFactor) override;
  int DropDownListBoxBordersSize() override;

  // Alert window
  // The navigation panel's element for the previous and next buttons, the
  // window's button element for the others.
  TdxSkinElement* AlertWindowButtonElement(TdxAlertWindowButtonKind AKind);
  void DrawAlertWindowBackground(TcxCanvas* ACanvas, const TRect& ABounds,
                                 const TdxScaleFactor* AScaleFactor) override;
  void DrawAlertWindowScaledButton(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                   TdxAlertWindowButtonKind AKind, const TdxScaleFactor* AScaleFactor,
                                   bool ADown = false) override;
  void DrawAlertWindowNavigationPanel(TcxCanvas* ACanvas, const TRect& ABounds) override;
  int AlertWindowCornerRadius() override;
  vcl::TColor AlertWindowTextColor() override;
  vcl::TColor AlertWindowNavigationPanelTextColor() override;
  TRect AlertWindowScaledContentOffsets(const TdxScaleFactor* AScaleFactor) override;
  TRect AlertWindowScaledButtonContentOffsets(TdxAlertWindowButtonKind AKind,
                                              const TdxScaleFactor* AScaleFactor) override;

  // Office navigation bar
  void OfficeNavigationBarDrawBackground(TcxCanvas* ACanvas, const TRect& ARect) override;
  void OfficeNavigationBarDrawScaledButtonItemBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                         TcxCalendarElementState AState,
                                                         const TdxScaleFactor* AScaleFactor) override;
  void OfficeNavigationBarDrawScaledItemBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                   TcxCalendarElementState AState,
                                                   const TdxScaleFactor* AScaleFactor) override;
  TRect OfficeNavigationBarScaledContentOffsets(const TdxScaleFactor* AScaleFactor) override;
  TRect OfficeNavigationBarScaledButtonItemContentOffsets(const TdxScaleFactor* AScaleFactor) override;
  TRect OfficeNavigationBarScaledItemContentOffsets(const TdxScaleFactor* AScaleFactor) override;
  int OfficeNavigationBarScaledButtonItemFontSize(const TdxScaleFactor* AScaleFactor) override;
  int OfficeNavigationBarScaledItemFontSize(const TdxScaleFactor* AScaleFactor) override;
  vcl::TColor OfficeNavigationBarButtonItemTextColor(TcxCalendarElementState AState) override;
  vcl::TColor OfficeNavigationBarItemTextColor(TcxCalendarElementState AState) override;

  // PDF viewer
  void PDFViewerDrawNavigationPaneButton(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState,
                                         const TdxScaleFactor* AScaleFactor, bool AMinimized, bool ASelected,
                                         bool AIsFirst) override;
  void PDFViewerDrawNavigationPaneBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                             const TdxScaleFactor* AScaleFactor) override;
  void PDFViewerDrawNavigationPanePageBackground(TcxCanvas* ACanvas, const TRect& ARect) override;
  void PDFViewerDrawNavigationPanePageCaptionBackground(TcxCanvas* ACanvas, const TRect& ARect) override;
  void PDFViewerDrawNavigationPanePageButton(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState,
                                             const TdxScaleFactor* AScaleFactor) override;
  void PDFViewerDrawNavigationPanePageToolbarBackground(TcxCanvas* ACanvas, const TRect& ARect) override;
  void PDFViewerDrawFindPanelBackground(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders) override;
  void PDFViewerDrawPageThumbnailPreviewBackground(TcxCanvas* ACanvas, const TRect& ARect) override;
  IdxColorPalette* PDFViewerNavigationPaneButtonColorPalette(TcxButtonState AState) override;
  TSize PDFViewerNavigationPaneButtonSize(const TdxScaleFactor* AScaleFactor) override;
  TPoint PDFViewerNavigationPaneButtonOverlay(const TdxScaleFactor* AScaleFactor) override;
  TRect PDFViewerNavigationPaneButtonContentOffsets(const TdxScaleFactor* AScaleFactor) override;
  TRect PDFViewerNavigationPaneContentOffsets(const TdxScaleFactor* AScaleFactor) override;
  TRect PDFViewerNavigationPanePageCaptionContentOffsets(const TdxScaleFactor* AScaleFactor) override;
  TRect PDFViewerNavigationPanePageContentOffsets(const TdxScaleFactor* AScaleFactor) override;
  TRect PDFViewerNavigationPanePageToolbarContentOffsets(const TdxScaleFactor* AScaleFactor) override;
  vcl::TColor PDFViewerNavigationPanePageCaptionTextColor() override;
  vcl::TColor PDFViewerSelectionColor() override;

  // Print preview
  void DrawPrintPreviewScaledBackground(TcxCanvas* ACanvas, const TRect& R,
                                        const TdxScaleFactor* AScaleFactor) override;
  void DrawPrintPreviewPageScaledBackground(TcxCanvas* ACanvas, const TRect& ABorderRect, const TRect& AContentRect,
                                            bool ASelected, bool ADrawContent,
                                            const TdxScaleFactor* AScaleFactor) override;
  TRect PrintPreviewPageBordersScaledWidth(const TdxScaleFactor* AScaleFactor) override;
  vcl::TColor PrintPreviewBackgroundTextColor() override;

  // Map control: the skin's values; without a loaded skin the inherited ones.
  vcl::TColor MapControlBackgroundColor() override;
  TdxAlphaColor MapControlPanelBackColor() override;
  TdxAlphaColor MapControlPanelHotTrackedTextColor() override;
  TdxAlphaColor MapControlPanelPressedTextColor() override;
  TdxAlphaColor MapControlPanelTextColor() override;
  TdxAlphaColor MapControlSelectedRegionBackgroundColor() override;
  TdxAlphaColor MapControlSelectedRegionBorderColor() override;
  TdxAlphaColor MapControlShapeColor() override;
  TdxAlphaColor MapControlShapeHighlightedColor() override;
  TdxAlphaColor MapControlShapeSelectedColor() override;
  TdxAlphaColor MapControlShapeBorderColor() override;
  TdxAlphaColor MapControlShapeBorderHighlightedColor() override;
  TdxAlphaColor MapControlShapeBorderSelectedColor() override;
  int MapControlShapeBorderWidth(const TdxScaleFactor* AScaleFactor) override;
  int MapControlShapeBorderHighlightedWidth(const TdxScaleFactor* AScaleFactor) override;
  int MapControlShapeBorderSelectedWidth(const TdxScaleFactor* AScaleFactor) override;
  TdxAlphaColor MapControlMapCustomElementTextGlowColor() override;
  TdxAlphaColor MapControlMapPushpinTextGlowColor() override;
  TdxAlphaColor MapControlMapCustomElementTextColor() override;
  TdxAlphaColor MapControlMapPushpinTextColor() override;
  TSize MapControlGetMapPushpinSize(const TdxScaleFactor* AScaleFactor) override;
  TPoint MapControlGetMapPushpinTextOrigin(const TdxScaleFactor* AScaleFactor) override;
  TRect MapControlMapCustomElementSelectionOffset(const TdxScaleFactor* AScaleFactor) override;
  void DrawMapCustomElementBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                      TdxMapControlElementState AState) override;
  void DrawMapPushpin(TcxCanvas* ACanvas, const TRect& ARect, TdxMapControlElementState AState,
                      const TdxScaleFactor* AScaleFactor) override;

  // Gauge
  vcl::TColor GaugeControlBackgroundColor() override;
  void DrawGaugeControlBackground(TcxCanvas* ACanvas, const TRect& ARect, bool ATransparent,
                                  vcl::TColor ABackgroundColor) override;

  // Calendars and the date navigator
  void DrawScaledModernCalendarArrow(TcxCanvas* ACanvas, const TRect& ARect, TcxArrowDirection ADirection,
                                     TcxCalendarElementState AState, const TdxScaleFactor* AScaleFactor) override;
  void DrawModernCalendarDateCellSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                           TcxCalendarElementStates AStates) override;
  void DrawModernCalendarDateHeaderSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                             TcxCalendarElementStates AStates) override;
  // Only hot and pressed headers are marked.
  void DrawModernCalendarHeaderSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                         TcxCalendarElementStates AStates) override;
  vcl::TColor GetModernCalendarCellTextColor(TcxCalendarElementStates AStates) override;
  vcl::TColor GetModernCalendarDateHeaderTextColor(TcxCalendarElementStates AStates) override;
  vcl::TColor GetModernCalendarHeaderTextColor() override;
  TRect GetModernCalendarHeaderTextOffsets() override;
  void DrawCalendarDateCellSelection(TcxCanvas* ACanvas, const TRect& ARect, TcxCalendarElementStates AStates) override;
  void DrawDateNavigatorCellSelection(TcxCanvas* ACanvas, const TRect& R, vcl::TColor AColor) override;
  void DrawDateNavigatorTodayCellSelection(TcxCanvas* ACanvas, const TRect& R) override;
  // R grows by a pixel on the left and right: the header's edges fall
  // outside and the caller gets the grown rectangle.
  void DrawDateNavigatorDateHeader(TcxCanvas* ACanvas, TRect& R) override;
  void DrawScaledMonthHeader(TcxCanvas* ACanvas, const TRect& ABounds, const rtl::String& AText,
                             TcxNeighbors ANeighbors, const TcxViewParams& AViewParams, TcxArrowDirections AArrows,
                             int ASideWidth, const TdxScaleFactor* AScaleFactor,
                             TcxDrawBackgroundEvent AOnDrawBackground = {}) override;

  // Scheduler
  void DrawSchedulerDayHeader(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                              TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState,
                              rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                              bool AShowEndEllipsis, const rtl::String& AText, vcl::TFont* AFont,
                              vcl::TColor ATextColor, vcl::TColor ABkColor, const TdxScaleFactor* AScaleFactor,
                              TcxDrawBackgroundEvent AOnDrawBackground = {}, bool AIsLast = false,
                              bool AIsGroup = false) override;
  void DrawSchedulerEventProgress(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& AProgress,
                                  const TcxViewParams& AViewParams, bool ATransparent) override;
  TRect SchedulerEventProgressOffsets() override;
  vcl::TColor SchedulerNavigationButtonTextColor(bool AIsNextButton, TcxButtonState AState,
                                                 vcl::TColor ADefaultColor = vcl::clDefault) override;
  // A frame on the left and right in the container's border colour around
  // the content colour, whatever the background asked for.
  void DrawSchedulerScaledGroupSeparator(TcxCanvas* ACanvas, const TRect& ABounds, vcl::TColor ABackgroundColor,
                                         const TdxScaleFactor* AScaleFactor,
                                         TcxDrawBackgroundEvent AOnDrawBackground = {}) override;
  void DrawSchedulerScaledNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                          const TdxScaleFactor* AScaleFactor) override;
  void DrawSchedulerGroup(TcxCanvas* ACanvas, const TRect& R, vcl::TColor AColor) override;
  void DrawSchedulerMilestone(TcxCanvas* ACanvas, const TRect& R) override;
  using TcxCustomLookAndFeelPainter::SchedulerNavigationButtonSizes;
  void SchedulerNavigationButtonSizes(bool AIsNextButton, TRect& ABorders, TSize& AArrowSize, bool& AHasTextArea,
                                      const TdxScaleFactor* AScaleFactor, bool AIsVertical = false) override;
  using TcxCustomLookAndFeelPainter::CalculateSchedulerNavigationButtonRects;
  void CalculateSchedulerNavigationButtonRects(bool AIsNextButton, bool ACollapsed, const TSize& APrevButtonTextSize,
                                               const TSize& ANextButtonTextSize, TRect& ABounds, TRect& ATextRect,
                                               TRect& AArrowRect, const TdxScaleFactor* AScaleFactor,
                                               bool AIsVertical = false) override;

  // The state maps shared by the element families.
  static TdxSkinElementState ButtonStateToSkinState(TcxButtonState AState);
  static TdxSkinElementState ExpandButtonStateToSkinState(TcxExpandButtonState AState);
  static TdxSkinElementState RatingStateToSkinState(TdxRatingControlIndicatorState AState);
  static TdxSkinElementState BreadcrumbButtonStateToSkinState(TdxBreadcrumbEditButtonState AState);
  static TdxSkinElementState SmartTagStateToSkinState(bool AIsFilterActive, TcxFilterSmartTagState AState);

 protected:
  virtual TdxSkinLookAndFeelPainterInfoClass GetSkinInfoClass();
  void DrawSchedulerNavigationButtonContent(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AArrowRect,
                                            bool AIsNextButton, TcxButtonState AState,
                                            bool AIsVertical = false) override;
  // The details block of the package alone; nil without a package. The
  // caller owns the result.
  TdxSkinDetails* CreatePainterDetails() override;
  // The loaded skin's details, else the details block read once.
  TdxSkinDetails* GetCachedPainterDetails() override;
  void FreeCachedResources() override;
  // Header text over the skin element: no background, the element is it.
  void DrawContent(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, TcxButtonState AState,
                   rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                   bool AShowEndEllipsis, const rtl::String& AText, vcl::TFont* AFont, vcl::TColor ATextColor,
                   vcl::TColor ABkColor, TcxDrawBackgroundEvent AOnDrawBackground) override;

  // Each draws nothing and answers False for a nil element, so that the
  // caller can take its fallback.
  bool DrawSkinElement(TdxSkinElement* AElement, TcxCanvas* ACanvas, int AImageIndex, TdxSkinElementState AState,
                       const TdxScaleFactor* AScaleFactor, const TRect& R);
  bool DrawSkinElementRTLAware(TdxSkinElement* AElement, TcxCanvas* ACanvas, int AImageIndex,
                               TdxSkinElementState AState, const TdxScaleFactor* AScaleFactor, const TRect& R);
  bool DrawSkinElementAtSystemScale(TdxSkinElement* AElement, TcxCanvas* ACanvas, int AImageIndex,
                                    TdxSkinElementState AState, const TRect& R);
  // Elements drawn for one orientation serve another: R's pixels are turned
  // and mirrored into the element's frame, drawn over, and turned back. A
  // nil scale factor is the system one.
  bool DrawRotatedSkinElement(TcxCanvas* ACanvas, TdxSkinElement* AElement, const TRect& R,
                              TdxSkinElementState AState, TcxRotationAngle ARotationAngle, bool AFlipVertically,
                              const TdxScaleFactor* AScaleFactor);
  IdxColorPalette* GetElementGlyphColorPalette(TdxSkinElement* AElement, TdxSkinElementState AState);
  TSize GetElementMinimalSize(TdxSkinElement* AElement);
  // The content offset grown by the thin width of the border of each side.
  TRect GetElementOuterMargins(TdxSkinElement* AElement);
  static bool IsElementFontBold(TdxSkinElement* AElement);
  static bool IsSkinColorAssigned(TdxSkinColor* AColor);
  static bool IsElementColorAssigned(TdxSkinElement* AElement);
  static bool IsElementTextColorAssigned(TdxSkinElement* AElement);

 private:
  void LoadSkin(TdxSkinLookAndFeelPainterInfo* AInfo);
  // The value of an existing colour, else AFallback's answer.
  template <typename F>
  vcl::TColor ColorIfExists(TdxSkinColor* AColor, F AFallback);
  template <typename F>
  vcl::TColor ColorIfAssigned(TdxSkinColor* AColor, F AFallback);

  TdxSkinLookAndFeelPainterInfo* FSkinInfo = nullptr;
  HINSTANCE FSkinResInstance = nullptr;
  rtl::String FSkinResName;
  TdxSkinDetails* FCachedDetails = nullptr;
  // Glyph palettes handed out as plain pointers live as long as the painter.
  std::vector<rtl::IPtr<IdxColorPalette>> FPalettes;
};

using TdxSkinLookAndFeelPainterClass = rtl::ClassOf<TdxSkinLookAndFeelPainter>;

// One entry of a skin unit's table: the skin's name, which names its
// resource too, and its painter class.
struct TdxSkinPainterEntry {
  const wchar_t* SkinName;
  TdxSkinLookAndFeelPainterClass PainterClass;
};

// The registering and unregistering steps of the skin units. Without the
// 2-D graphics library nothing is registered; without the painters manager
// nothing is unregistered.
void dxSkinsRegisterPainters(std::span<const TdxSkinPainterEntry> AEntries);
void dxSkinsUnregisterPainters(std::span<const TdxSkinPainterEntry> AEntries);
