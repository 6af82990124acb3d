#pragma once
// The painters unit of the look and feel:
// - the element enumerations every painter operation takes;
// - TcxCustomLookAndFeelPainter, the abstract painter of every element, with
//   its identity, its protected helpers and its default colours;
// - IcxLookAndFeelPainterListener and TcxLookAndFeelPaintersManager, the
//   process-wide registry of painters, sorted by name;
// - TcxSystemPaletteChangedNotifier and its one shared hidden window, which
//   tell subscribers that the user changed the system colours (primary
//   subscribers, the shared colour caches, first);
// - the shared drawing resources: the scroll-bar pattern bitmaps, the
//   check-button size and the indicator image list;
// - cxDrawForCorner and cxDrawForCornerByPainter, which draw a bottom-right
//   picture at any corner.

#include <windows.h>
#include <uxtheme.h>

#include <array>
#include <functional>
#include <vector>

#include "core/cxClasses.h"
#include "core/dxTypeHelpers.h"
#include "graphics/cxGraphics.h"
#include "graphics/dxCoreGraphics.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemEvents.h"
#include "platform/rtl/SystemTypes.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/vcl/Graphics.h"
#include "platform/vcl/ImgList.h"

class TcxBitmap32;
class TdxScaleFactor;
class TdxSkinDetails;
class TdxSmartImage;
namespace vcl {
class TWinControl;
}

// Creates the manager and the primary palette notifier; its start step (run
// through the units loader) makes the shared drawing resources.
RTL_DECLARE_UNIT(cxLookAndFeelPainters);

// ---------------------------------------------------------------------------
// Element enumerations

// TcxButtonState comes with the canvas (graphics).
// The look-and-feel kinds; declared here, where the radio-button images use
// them, and offered to every user through the look-and-feel unit.
RTL_ENUM(TcxLookAndFeelKind, lfFlat, lfStandard, lfUltraFlat, lfOffice11);
RTL_ENUM(TcxArrowDirection, adUp, adDown, adLeft, adRight);
using TcxArrowDirections = rtl::TSet<TcxArrowDirection>;
RTL_ENUM(TcxNeighbor, nLeft, nTop, nRight, nBottom);
using TcxNeighbors = rtl::TSet<TcxNeighbor>;
RTL_ENUM(TcxLookAndFeelStyle, lfsFlat, lfsStandard, lfsUltraFlat, lfsNative, lfsOffice11, lfsSkin);
RTL_ENUM(TcxIndicatorKind, ikNone, ikArrow, ikEdit, ikInsert, ikMultiDot, ikMultiArrow, ikFilter, ikInplaceEdit);
RTL_ENUM(TcxScrollBarPart, sbpNone, sbpLineUp, sbpLineDown, sbpThumbnail, sbpPageUp, sbpPageDown);
RTL_ENUM(TcxCheckBoxState, cbsUnchecked, cbsChecked, cbsGrayed);
RTL_ENUM(TcxContainerBorderStyle, cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11);
RTL_ENUM(TcxFilterSmartTagState, fstsNormal, fstsHot, fstsPressed, fstsParentHot);
RTL_ENUM(TcxCalendarElementState, cesNormal, cesHot, cesPressed, cesSelected, cesFocused, cesMarked, cesDisabled);
using TcxCalendarElementStates = rtl::TSet<TcxCalendarElementState>;
RTL_ENUM(TcxEditBtnKind, cxbkCloseBtn, cxbkComboBtn, cxbkEditorBtn, cxbkEllipsisBtn, cxbkSpinUpBtn, cxbkSpinDownBtn,
         cxbkSpinLeftBtn, cxbkSpinRightBtn);
RTL_ENUM(TcxEditBtnPosition, cxbpLeft, cxbpRight);
RTL_ENUM(TcxButtonPart, cxbpButton, cxbpDropDownLeftPart, cxbpDropDownRightPart);
RTL_ENUM(TcxGroupBoxCaptionPosition, cxgpTop, cxgpBottom, cxgpLeft, cxgpRight, cxgpCenter);
RTL_ENUM(TcxTrackBarTicksAlign, tbtaUp, tbtaDown, tbtaBoth);
RTL_ENUM(TdxCorner, coTopLeft, coTopRight, coBottomLeft, coBottomRight);
RTL_ENUM(TcxExpandButtonState, cebsNormal, cebsSelected, cebsInactive);
RTL_ENUM(TcxEditPopupBorderStyle, epbsDefault, epbsSingle, epbsFrame3D, epbsFlat);
RTL_ENUM(TcxPopupBorderStyle, pbsNone, pbsUltraFlat, pbsFlat, pbs3D);
RTL_ENUM(TdxBevelShape, dxbsNone, dxbsBox, dxbsFrame, dxbsLineTop, dxbsLineBottom, dxbsLineLeft, dxbsLineRight,
         dxbsLineCenteredHorz, dxbsLineCenteredVert);
RTL_ENUM(TdxBevelStyle, dxbsLowered, dxbsRaised);
RTL_ENUM(TdxAlertWindowButtonKind, awbkClose, awbkPin, awbkDropdown, awbkPrevious, awbkNext, awbkCustom);
RTL_ENUM(TdxBreadcrumbEditState, dxbcsNormal, dxbcsFocused, dxbcsHot, dxbcsDisabled);
RTL_ENUM(TdxBreadcrumbEditButtonState, dxbcbsNormal, dxbcbsFocused, dxbcbsHot, dxbcbsPressed, dxbcbsDisabled);
RTL_ENUM(TdxRatingControlIndicatorState, rcisUnchecked, rcisChecked, rcisHover);
RTL_ENUM(TdxMapControlElementState, mcesNormal, mcesHot, mcesPressed, mcesSelected, mcesDisabled);
RTL_ENUM(TcxLayoutElement, leGroup, leGroupWithoutBorders, leTabbedGroup, leRootGroup, leRootGroupWithoutBorders, leItem);
RTL_ENUM(TcxEditStateColorKind, esckNormal, esckDisabled, esckInactive, esckReadOnly);
RTL_ENUM(TcxCalcButtonKind, cbBack, cbCancel, cbClear, cbMC, cbMR, cbMS, cbMP, cbNum0, cbNum1, cbNum2, cbNum3, cbNum4,
         cbNum5, cbNum6, cbNum7, cbNum8, cbNum9, cbSign, cbDecimal, cbDiv, cbMul, cbSub, cbAdd, cbSqrt, cbPercent, cbRev,
         cbEqual, cbNone);

// The vertices of an arrow triangle.
using TcxArrowPoints = std::array<TPoint, 3>;

struct TdxGalleryItemViewState {
  bool Enabled;
  bool Checked;
  bool Hover;
  bool Pressed;
  bool Focused;
};

// Answers True when it painted the background itself.
using TcxDrawBackgroundEvent = rtl::TMethod<bool(rtl::TObject* Sender, TcxCanvas* ACanvas, const TRect& ABounds)>;

// ---------------------------------------------------------------------------
// TcxCustomLookAndFeelPainter

// One shared instance per style or skin, owned by the painters manager; it
// keeps no per-control state, so everything that varies per call is passed
// in. Concrete painters override what looks different.
class TcxCustomLookAndFeelPainter : public rtl::TPersistent {
  RTL_CLASS(TcxCustomLookAndFeelPainter, rtl::TPersistent)

 public:
  void Destroy() override;

  // Identity and painter data
  // False and AData untouched: only a skin painter has data to hand out.
  virtual bool GetPainterData(void* AData);
  // True with the painter's description (name, group, style icons), built
  // on the first request and kept until FreeCachedResources.
  virtual bool GetPainterDetails(TdxSkinDetails*& ADetails);
  virtual bool IsInternalPainter();
  // Empty here; every concrete painter names itself.
  virtual rtl::String LookAndFeelName();
  virtual TcxLookAndFeelStyle LookAndFeelStyle();
  virtual bool NeedRedrawOnResize();

  // Default colours: what a control uses when its own style leaves a colour
  // unset. Forwarding answers call through the virtual table, so overriding
  // the target carries over.
  virtual vcl::TColor DefaultContentColor();
  virtual vcl::TColor DefaultContentEvenColor();
  virtual vcl::TColor DefaultContentOddColor();
  virtual vcl::TColor DefaultContentTextColor();
  virtual vcl::TColor DefaultControlColor();
  virtual vcl::TColor DefaultControlTextColor();
  virtual vcl::TColor DefaultEditorBackgroundColor(bool AIsDisabled);
  virtual vcl::TColor DefaultEditorBackgroundColorEx(TcxEditStateColorKind AKind);
  virtual vcl::TColor DefaultEditorTextColor(bool AIsDisabled);
  virtual vcl::TColor DefaultEditorTextColorEx(TcxEditStateColorKind AKind);
  virtual vcl::TColor DefaultFilterBoxColor();
  virtual vcl::TColor DefaultFilterBoxTextColor();
  virtual vcl::TColor DefaultFixedSeparatorColor();
  virtual vcl::TColor DefaultFooterColor();
  virtual vcl::TColor DefaultFooterTextColor();
  virtual vcl::TColor DefaultGridDetailsSiteColor();
  virtual vcl::TColor DefaultGridLineColor();
  virtual vcl::TColor DefaultGroupByBoxColor();
  virtual vcl::TColor DefaultGroupByBoxTextColor();
  virtual vcl::TColor DefaultGroupColor();
  virtual TRect DefaultGroupContentOffsets();
  virtual vcl::TColor DefaultGroupTextColor();
  virtual vcl::TColor DefaultHeaderBackgroundColor();
  virtual vcl::TColor DefaultHeaderBackgroundTextColor();
  virtual vcl::TColor DefaultHeaderColor();
  virtual vcl::TColor DefaultHeaderTextColor();
  virtual vcl::TColor DefaultHyperlinkTextColor();
  virtual vcl::TColor DefaultInactiveColor();
  virtual vcl::TColor DefaultInactiveTextColor();
  virtual vcl::TColor DefaultPreviewTextColor();
  virtual vcl::TColor DefaultRecordSeparatorColor();
  virtual vcl::TColor DefaultSizeGripAreaColor();
  virtual vcl::TColor DefaultTreeListGridLineColor();
  virtual vcl::TColor DefaultTreeListTreeLineColor();
  virtual vcl::TColor DefaultVGridBandLineColor();
  virtual vcl::TColor DefaultVGridCategoryColor();
  virtual vcl::TColor DefaultVGridCategoryTextColor();
  virtual vcl::TColor DefaultVGridContentColor();
  virtual vcl::TColor DefaultVGridContentEvenColor();
  virtual vcl::TColor DefaultVGridContentOddColor();
  virtual vcl::TColor DefaultVGridContentTextColor();
  virtual vcl::TColor DefaultVGridHeaderColor();
  virtual vcl::TColor DefaultVGridHeaderTextColor();
  virtual vcl::TColor DefaultVGridLineColor();
  virtual vcl::TColor DefaultDateNavigatorContentColor();
  virtual vcl::TColor DefaultDateNavigatorHeaderColor();
  virtual vcl::TColor DefaultDateNavigatorHeaderTextColor(bool AIsHighlight);
  virtual vcl::TColor DefaultDateNavigatorHolydayTextColor();
  virtual vcl::TColor DefaultDateNavigatorInactiveTextColor();
  virtual vcl::TColor DefaultDateNavigatorSelectionColor();
  virtual vcl::TColor DefaultDateNavigatorSelectionTextColor();
  virtual vcl::TColor DefaultDateNavigatorSeparator1Color();
  virtual vcl::TColor DefaultDateNavigatorSeparator2Color();
  virtual vcl::TColor DefaultDateNavigatorTextColor();
  virtual vcl::TColor DefaultDateNavigatorTodayFrameColor();
  virtual vcl::TColor DefaultDateNavigatorTodayTextColor(bool ASelected);
  // The unselected colour, through the virtual overload.
  vcl::TColor DefaultDateNavigatorTodayTextColor() { return DefaultDateNavigatorTodayTextColor(false); }
  virtual vcl::TColor DefaultSchedulerBackgroundColor();
  virtual vcl::TColor DefaultSchedulerBorderColor();
  virtual vcl::TColor DefaultSchedulerContentColor(int AResourceIndex);
  virtual vcl::TColor DefaultSchedulerControlColor();
  virtual vcl::TColor DefaultSchedulerDayHeaderColor();
  virtual vcl::TColor DefaultSchedulerDayHeaderBorderColor();
  virtual vcl::TColor DefaultSchedulerDayHeaderTextColor();
  virtual vcl::TColor DefaultSchedulerDateNavigatorArrowColor(bool AIsHighlight);
  virtual vcl::TColor DefaultSchedulerHeaderContainerAlternateBackgroundColor();
  virtual vcl::TColor DefaultSchedulerHeaderContainerBackgroundColor(bool ASelected);
  virtual vcl::TColor DefaultSchedulerHeaderContainerTextColor(bool ASelected);
  virtual vcl::TColor DefaultSchedulerHeaderContainerBorderColor();
  virtual vcl::TColor DefaultSchedulerEventColor(bool AIsAllDayEvent);
  virtual vcl::TColor DefaultSchedulerEventColorClassic(bool AIsAllDayEvent);
  virtual vcl::TColor DefaultSchedulerNavigatorColor();
  virtual vcl::TColor DefaultSchedulerSelectedEventBorderColor();
  virtual vcl::TColor DefaultSchedulerTextColor();
  virtual vcl::TColor DefaultSchedulerTimeRulerBorderColor();
  virtual vcl::TColor DefaultSchedulerTimeRulerBorderColorClassic();
  virtual vcl::TColor DefaultSchedulerTimeRulerColor();
  virtual vcl::TColor DefaultSchedulerTimeRulerColorClassic();
  virtual vcl::TColor DefaultSchedulerTimeRulerTextColor();
  virtual vcl::TColor DefaultSchedulerTimeRulerTextColorClassic();
  virtual vcl::TColor DefaultSchedulerViewContentColor();
  virtual vcl::TColor DefaultSchedulerViewContentColorClassic();
  virtual vcl::TColor DefaultSchedulerViewSelectedTextColor();
  virtual vcl::TColor DefaultSchedulerViewTextColor();
  virtual vcl::TColor DefaultSchedulerYearViewUnusedContentColor(bool AIsWorkTime);
  virtual vcl::TColor DefaultSelectionColor();
  virtual vcl::TColor DefaultSelectionTextColor();
  virtual vcl::TColor DefaultSeparatorColor();
  virtual vcl::TColor DefaultTabColor();
  virtual vcl::TColor DefaultTabTextColor();
  virtual vcl::TColor DefaultTabsBackgroundColor();
  virtual vcl::TColor DefaultRootTabsBackgroundColor();
  virtual vcl::TColor DefaultTimeGridMajorScaleColor();
  virtual vcl::TColor DefaultTimeGridMajorScaleTextColor();
  virtual vcl::TColor DefaultTimeGridMinorScaleColor();
  virtual vcl::TColor DefaultTimeGridMinorScaleTextColor();
  virtual vcl::TColor DefaultTimeGridSelectionBarColor();
  virtual vcl::TColor DefaultChartDiagramValueBorderColor();
  virtual vcl::TColor DefaultChartDiagramValueCaptionTextColor();
  virtual vcl::TColor DefaultChartHistogramAxisColor();
  virtual vcl::TColor DefaultChartHistogramGridLineColor();
  virtual vcl::TColor DefaultChartHistogramPlotColor();
  virtual vcl::TColor DefaultChartPieDiagramSeriesSiteBorderColor();
  virtual vcl::TColor DefaultChartPieDiagramSeriesSiteCaptionColor();
  virtual vcl::TColor DefaultChartPieDiagramSeriesSiteCaptionTextColor();
  virtual vcl::TColor DefaultChartToolBoxDataLevelInfoBorderColor();
  virtual vcl::TColor DefaultChartToolBoxItemSeparatorColor();
  virtual vcl::TColor DefaultLayoutViewCaptionColor(TcxButtonState AState);
  virtual vcl::TColor DefaultLayoutViewCaptionTextColor(TcxGroupBoxCaptionPosition ACaptionPosition,
                                                        TcxButtonState AState);
  virtual vcl::TColor DefaultLayoutViewContentColor();
  virtual vcl::TColor DefaultLayoutViewContentTextColor(TcxButtonState AState);
  virtual vcl::TColor DefaultGridOptionsTreeViewCategoryColor(bool ASelected);
  virtual vcl::TColor DefaultGridOptionsTreeViewCategoryTextColor(bool ASelected);

  // Grid-like controls (their content colours feed the vertical grid's).
  virtual vcl::TColor GridLikeControlContentColor();
  virtual vcl::TColor GridLikeControlContentEvenColor();
  virtual vcl::TColor GridLikeControlContentOddColor();

  // Buttons: the glyph or text colour of a state.
  virtual vcl::TColor ButtonSymbolColor(TcxButtonState AState, vcl::TColor ADefaultColor = vcl::clDefault);

  // Left abstract: every concrete painter draws these itself. Reached on
  // this class they raise EAbstractError.
  virtual void DrawScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                      const TdxScaleFactor* AScaleFactor, vcl::TColor AColor = vcl::clDefault,
                                      TcxExpandButtonState AState = TcxExpandButtonState::cebsNormal);
  virtual int ScaledExpandButtonSize(const TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledSortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                                     const TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledSummarySortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                                            const TdxScaleFactor* AScaleFactor);
  virtual TPoint ScaledSortingMarkSize(const TdxScaleFactor* AScaleFactor);
  virtual TPoint ScaledSummarySortingMarkSize(const TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledFilterDropDownButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                              bool AIsFilterActive, const TdxScaleFactor* AScaleFactor);
  void DrawExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded, vcl::TColor AColor = vcl::clDefault);
  void DrawSortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting);

  // Check box
  virtual int CheckBorderSize();
  virtual vcl::TColor CheckButtonColor(TcxButtonState AState, TcxCheckBoxState ACheckState);
  // The platform's check-box cell scaled from the system factor to
  // AScaleFactor.
  virtual TSize ScaledCheckButtonSize(const TdxScaleFactor* AScaleFactor);
  // Raised to the touch minimum in touch mode.
  virtual TSize ScaledCheckButtonAreaSize(const TdxScaleFactor* AScaleFactor);
  virtual void DrawCheckBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  TSize CheckButtonSize();
  TSize CheckButtonAreaSize();

  // Radio button: drawn from the shared image list of the factor, in the
  // kind that matches LookAndFeelStyle.
  virtual void DrawScaledRadioButton(TcxCanvas* ACanvas, int X, int Y, TcxButtonState AButtonState, bool AChecked,
                                     bool AFocused, vcl::TColor ABrushColor, const TdxScaleFactor* AScaleFactor,
                                     bool AIsDesigning = false);
  // The body colour of a state; the radio-button image lists paint the
  // inside of the circle with it.
  virtual vcl::TColor RadioButtonBodyColor(TcxButtonState AState);
  virtual TSize ScaledRadioButtonSize(const TdxScaleFactor* AScaleFactor);
  void DrawRadioButton(TcxCanvas* ACanvas, int X, int Y, TcxButtonState AButtonState, bool AChecked, bool AFocused,
                       vcl::TColor ABrushColor, bool AIsDesigning = false);
  TSize RadioButtonSize();

  // Label line
  virtual int LabelLineHeight();

  // Arrows: triangles in one shared geometry, the collapse chevrons and the
  // scroll-bar arrow.
  void CalculateArrowPoints(TRect R, TcxArrowPoints& P, TcxArrowDirection AArrowDirection, bool AProportional,
                            int AArrowSize = 0);
  virtual void DrawArrow(TcxCanvas* ACanvas, const TRect& R, TcxArrowDirection AArrowDirection, vcl::TColor AColor);
  virtual void DrawCollapseArrow(TcxCanvas* ACanvas, const TRect& R, vcl::TColor AColor, int ALineWidth = 1);
  virtual void DrawScaledArrow(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                               TcxArrowDirection AArrowDirection, const TdxScaleFactor* AScaleFactor,
                               bool ADrawBorder = true);
  virtual void DrawScaledArrowBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                     const TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledScrollBarArrow(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                        TcxArrowDirection AArrowDirection, const TdxScaleFactor* AScaleFactor);
  void DrawArrow(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, TcxArrowDirection AArrowDirection,
                 bool ADrawBorder = true);
  void DrawArrowBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  void DrawScrollBarArrow(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                          TcxArrowDirection AArrowDirection);

  // Borders and separators
  virtual int BorderSize();
  virtual int SeparatorSize();
  virtual void DrawBorder(TcxCanvas* ACanvas, const TRect& R);
  virtual void DrawContainerBorder(TcxCanvas* ACanvas, const TRect& R, TcxContainerBorderStyle AStyle, int AWidth,
                                   vcl::TColor AColor, TcxBorders ABorders);
  virtual void DoDrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool AIsVertical);
  // DoDrawSeparator on a band of SeparatorSize through the centre of R.
  void DrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool AIsVertical);

  // Buttons: the generic button, its colours and metrics.
  virtual int ButtonBorderSize(TcxButtonState AState = TcxButtonState::cxbsNormal);
  virtual vcl::TColor ButtonColor(TcxButtonState AState);
  virtual IdxColorPalette* ButtonColorPalette(TcxButtonState AState);
  virtual vcl::TColor ButtonDescriptionTextColor(TcxButtonState AState, vcl::TColor ADefaultColor = vcl::clDefault);
  virtual TcxButtonState ButtonSymbolState(TcxButtonState AState);
  // R inset by 4 scaled on every side; R itself when nothing would be left.
  virtual TRect ScaledButtonFocusRect(TcxCanvas* ACanvas, const TRect& R, const TdxScaleFactor* AScaleFactor);
  virtual int ScaledButtonTextOffset(const TdxScaleFactor* AScaleFactor);
  // How far pressed text and glyphs move right and down.
  virtual int ScaledButtonTextShift(const TdxScaleFactor* AScaleFactor);
  virtual void DrawButtonBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  virtual void DrawScaledButton(TcxCanvas* ACanvas, const TRect& R, const rtl::String& ACaption,
                                TcxButtonState AState, const TdxScaleFactor* AScaleFactor, bool ADrawBorder = true,
                                vcl::TColor AColor = vcl::clDefault, vcl::TColor ATextColor = vcl::clDefault,
                                bool AWordWrap = false, bool AIsToolButton = false,
                                TcxButtonPart APart = TcxButtonPart::cxbpButton);
  virtual void DrawScaledSearchEditButtonGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                               const TdxScaleFactor* AScaleFactor);
  virtual int GetScaledDropDownButtonRightPartSize(const TdxScaleFactor* AScaleFactor);
  virtual bool IsButtonHotTrack();
  virtual bool IsPointOverGroupExpandButton(const TRect& R, const TPoint& P);
  virtual TSize ScaledSearchButtonGlyphSize(const TdxScaleFactor* AScaleFactor);
  TRect ButtonFocusRect(TcxCanvas* ACanvas, const TRect& R);
  int ButtonTextOffset();
  int ButtonTextShift();
  void DrawButton(TcxCanvas* ACanvas, const TRect& R, const rtl::String& ACaption, TcxButtonState AState,
                  bool ADrawBorder = true, vcl::TColor AColor = vcl::clDefault,
                  vcl::TColor ATextColor = vcl::clDefault, bool AWordWrap = false, bool AIsToolButton = false,
                  TcxButtonPart APart = TcxButtonPart::cxbpButton);
  void DrawSearchEditButtonGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  int GetDropDownButtonRightPartSize();
  TSize SearchButtonGlyphSize();

  // Expand buttons (DrawScaledExpandButton and ScaledExpandButtonSize are
  // with the abstract operations above).
  virtual bool DrawExpandButtonFirst();
  virtual void DrawScaledExpandButtonEx(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AExpanded,
                                        const TdxScaleFactor* AScaleFactor, TcxRotationAngle ARotationAngle = TcxRotationAngle::ra0);
  virtual void DrawScaledExpandMark(TcxCanvas* ACanvas, const TRect& R, vcl::TColor AColor, bool AExpanded,
                                    const TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledGroupExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded, TcxButtonState AState,
                                           const TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledSmallExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                           vcl::TColor ABorderColor, const TdxScaleFactor* AScaleFactor,
                                           vcl::TColor AColor = vcl::clDefault);
  // ScaledExpandButtonSize, raised to the touch minimum in touch mode.
  virtual int ScaledExpandButtonAreaSize(const TdxScaleFactor* AScaleFactor);
  virtual int ScaledGroupExpandButtonSize(const TdxScaleFactor* AScaleFactor);
  virtual int ScaledSmallExpandButtonSize(const TdxScaleFactor* AScaleFactor);
  void DrawExpandButtonEx(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AExpanded,
                          TcxRotationAngle ARotationAngle = TcxRotationAngle::ra0);
  void DrawExpandMark(TcxCanvas* ACanvas, const TRect& R, vcl::TColor AColor, bool AExpanded);
  void DrawGroupExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded, TcxButtonState AState);
  void DrawSmallExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded, vcl::TColor ABorderColor,
                             vcl::TColor AColor = vcl::clDefault);
  int ExpandButtonAreaSize();
  int ExpandButtonSize();
  int GroupExpandButtonSize();
  int SmallExpandButtonSize();

  // Command links
  virtual vcl::TColor DefaultCommandLinkTextColor(TcxButtonState AState, vcl::TColor ADefaultColor = vcl::clDefault);
  virtual void DrawScaledCommandLinkBackground(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                               const TdxScaleFactor* AScaleFactor,
                                               vcl::TColor AColor = vcl::clDefault);
  virtual void DrawScaledCommandLinkGlyph(TcxCanvas* ACanvas, const TPoint& AGlyphPos, TcxButtonState AState,
                                          const TdxScaleFactor* AScaleFactor);
  virtual TSize GetScaledCommandLinkGlyphSize(const TdxScaleFactor* AScaleFactor);
  virtual TRect GetScaledCommandLinkMargins(const TdxScaleFactor* AScaleFactor);
  void DrawCommandLinkBackground(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                 vcl::TColor AColor = vcl::clDefault);
  void DrawCommandLinkGlyph(TcxCanvas* ACanvas, const TPoint& AGlyphPos, TcxButtonState AState);
  TSize GetCommandLinkGlyphSize();
  TRect GetCommandLinkMargins();

  // The button cross: a two-pixel "x" sized from the filter close button.
  void DrawScaledButtonCross(TcxCanvas* ACanvas, const TRect& R, vcl::TColor AColor, TcxButtonState AState,
                             const TdxScaleFactor* AScaleFactor);
  void DrawScaledButtonCrossEx(TcxCanvas* ACanvas, const TRect& R, vcl::TColor AColor, TcxButtonState AState,
                               int ASize, const TdxScaleFactor* AScaleFactor);
  void DrawButtonCross(TcxCanvas* ACanvas, const TRect& R, vcl::TColor AColor, TcxButtonState AState);
  void DrawButtonCross(TcxCanvas* ACanvas, const TRect& R, vcl::TColor AColor, TcxButtonState AState, int ASize);

  // Small buttons
  virtual IdxColorPalette* GetSmallButtonColorPalette(TcxButtonState AState);
  // The close button's size at 96 dots per inch.
  virtual TSize DoGetSmallCloseButtonSize();
  // Raised to the touch minimum in both directions in touch mode.
  virtual TSize ScaledSmallCloseButtonSize(const TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledSmallButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                     const TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledSmallCloseButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                          const TdxScaleFactor* AScaleFactor);
  TSize SmallCloseButtonSize();
  void DrawSmallButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  void DrawSmallCloseButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);

  // Editor buttons
  virtual void DrawScaledEditorButton(TcxCanvas* ACanvas, const TRect& R, TcxEditBtnKind AButtonKind,
                                      TcxButtonState AState, const TdxScaleFactor* AScaleFactor,
                                      TcxEditBtnPosition APosition = TcxEditBtnPosition::cxbpRight);
  virtual void DrawScaledEditorButtonGlyph(TcxCanvas* ACanvas, const TRect& R, TcxEditBtnKind AButtonKind,
                                           TcxButtonState AState, const TdxScaleFactor* AScaleFactor,
                                           TcxEditBtnPosition APosition = TcxEditBtnPosition::cxbpRight);
  virtual IdxColorPalette* EditButtonColorPalette(TcxButtonState AState);
  virtual TSize EditButtonSize();
  virtual vcl::TColor EditButtonTextColor();
  virtual int EditButtonTextOffset();
  void DrawEditorButton(TcxCanvas* ACanvas, const TRect& R, TcxEditBtnKind AButtonKind, TcxButtonState AState,
                        TcxEditBtnPosition APosition = TcxEditBtnPosition::cxbpRight);
  void DrawEditorButtonGlyph(TcxCanvas* ACanvas, const TRect& R, TcxEditBtnKind AButtonKind, TcxButtonState AState,
                             TcxEditBtnPosition APosition = TcxEditBtnPosition::cxbpRight);

  // Container borders
  virtual vcl::TColor GetContainerBorderColor(bool AIsHighlightBorder);
  virtual int GetContainerBorderWidth(TcxContainerBorderStyle ABorderStyle);

  // Zoom buttons
  virtual void DrawScaledZoomInButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                      const TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledZoomOutButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                       const TdxScaleFactor* AScaleFactor);
  virtual TSize GetScaledZoomInButtonSize(const TdxScaleFactor* AScaleFactor);
  virtual TSize GetScaledZoomOutButtonSize(const TdxScaleFactor* AScaleFactor);
  void DrawZoomInButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  void DrawZoomOutButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  TSize GetZoomInButtonSize();
  TSize GetZoomOutButtonSize();

  // Back button: one frame of the back-button strip per state.
  virtual TSize GetScaledBackButtonSize(const TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledBackButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                    const TdxScaleFactor* AScaleFactor);
  TSize GetBackButtonSize();
  void DrawBackButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);

  // Headers: border, content rectangle and content are separate steps so
  // that a painter can change one of them.
  virtual void DrawHeaderBorder(TcxCanvas* ACanvas, const TRect& R, TcxNeighbors ANeighbors, TcxBorders ABorders);
  virtual void DrawHeaderPressed(TcxCanvas* ACanvas, const TRect& ABounds);
  virtual void DrawHeaderControlSectionBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders,
                                              TcxButtonState AState);
  virtual void DrawHeaderControlSectionContent(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                                               TcxButtonState AState, rtl::TAlignment AAlignmentHorz,
                                               TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                                               bool AShowEndEllipsis, const rtl::String& AText, vcl::TFont* AFont,
                                               vcl::TColor ATextColor, vcl::TColor ABkColor);
  virtual void DrawHeaderControlSectionText(TcxCanvas* ACanvas, const TRect& ATextAreaBounds, TcxButtonState AState,
                                            rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                            bool AMultiLine, bool AShowEndEllipsis, const rtl::String& AText,
                                            vcl::TFont* AFont, vcl::TColor ATextColor);
  virtual void DrawHeaderSeparator(TcxCanvas* ACanvas, const TRect& ABounds, int AIndentSize, vcl::TColor AColor,
                                   const TcxViewParams& AViewParams);
  virtual void DrawScaledHeader(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                                TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState,
                                rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                                bool AShowEndEllipsis, const rtl::String& AText, vcl::TFont* AFont,
                                vcl::TColor ATextColor, vcl::TColor ABkColor, const TdxScaleFactor* AScaleFactor,
                                TcxDrawBackgroundEvent AOnDrawBackground = {}, bool AIsLast = false,
                                bool AIsGroup = false);
  virtual void DrawScaledHeaderEx(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                                  TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState,
                                  rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                                  bool AShowEndEllipsis, const rtl::String& AText, vcl::TFont* AFont,
                                  vcl::TColor ATextColor, vcl::TColor ABkColor, const TdxScaleFactor* AScaleFactor,
                                  TcxDrawBackgroundEvent AOnDrawBackground = {});
  virtual void DrawScaledHeaderControlSection(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                                              TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState,
                                              rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                              bool AMultiLine, bool AShowEndEllipsis, const rtl::String& AText,
                                              vcl::TFont* AFont, vcl::TColor ATextColor, vcl::TColor ABkColor,
                                              const TdxScaleFactor* AScaleFactor);
  virtual TcxBorders HeaderBorders(TcxNeighbors ANeighbors);
  virtual int HeaderBorderSize();
  // ABounds grown by HeaderBorderSize on the sides drawn by a neighbour.
  virtual TRect HeaderBounds(const TRect& ABounds, TcxNeighbors ANeighbors, TcxBorders ABorders);
  virtual TRect HeaderContentOffsets(const TdxScaleFactor* AScaleFactor);
  virtual int HeaderControlSectionBorderSize(TcxButtonState AState);
  virtual TRect HeaderControlSectionContentBounds(const TRect& ABounds, TcxButtonState AState);
  virtual TRect HeaderControlSectionTextAreaBounds(const TRect& ABounds, TcxButtonState AState);
  virtual bool HeaderDrawCellsFirst();
  virtual bool IsHeaderHotTrack();
  virtual TRect ScaledHeaderContentBounds(const TRect& ABounds, TcxBorders ABorders,
                                          const TdxScaleFactor* AScaleFactor);
  // Raised to the touch minimum in touch mode.
  virtual int ScaledHeaderHeight(int AFontHeight, const TdxScaleFactor* AScaleFactor);
  virtual int ScaledHeaderWidth(TcxCanvas* ACanvas, TcxBorders ABorders, const rtl::String& AText,
                                vcl::TFont* AFont, const TdxScaleFactor* AScaleFactor);
  // These four work at 96 dots per inch: their callers lay headers out in
  // unscaled pixels.
  void DrawHeader(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, TcxNeighbors ANeighbors,
                  TcxBorders ABorders, TcxButtonState AState, rtl::TAlignment AAlignmentHorz,
                  TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis, const rtl::String& AText,
                  vcl::TFont* AFont, vcl::TColor ATextColor, vcl::TColor ABkColor,
                  TcxDrawBackgroundEvent AOnDrawBackground = {}, bool AIsLast = false, bool AIsGroup = false);
  void DrawHeaderEx(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, TcxNeighbors ANeighbors,
                    TcxBorders ABorders, TcxButtonState AState, rtl::TAlignment AAlignmentHorz,
                    TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis, const rtl::String& AText,
                    vcl::TFont* AFont, vcl::TColor ATextColor, vcl::TColor ABkColor,
                    TcxDrawBackgroundEvent AOnDrawBackground = {});
  TRect HeaderContentBounds(const TRect& ABounds, TcxBorders ABorders);
  int HeaderHeight(int AFontHeight);
  void DrawHeaderControlSection(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                                TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState,
                                rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                                bool AShowEndEllipsis, const rtl::String& AText, vcl::TFont* AFont,
                                vcl::TColor ATextColor, vcl::TColor ABkColor);
  int HeaderWidth(TcxCanvas* ACanvas, TcxBorders ABorders, const rtl::String& AText, vcl::TFont* AFont);

  // Sorting marks (the plain and summary marks are with the abstract
  // operations above).
  virtual void DrawScaledSummaryValueSortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                                                 const TdxScaleFactor* AScaleFactor);
  // Wider in touch mode; as high as the sorting mark.
  virtual TPoint ScaledSortingMarkAreaSize(const TdxScaleFactor* AScaleFactor);
  virtual TPoint ScaledSummaryValueSortingMarkSize(const TdxScaleFactor* AScaleFactor);
  void DrawSummarySortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting);
  void DrawSummaryValueSortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting);
  TPoint SortingMarkAreaSize();
  TPoint SortingMarkSize();
  TPoint SummarySortingMarkSize();
  TPoint SummaryValueSortingMarkSize();

  // Indicators: header-like cells with a glyph of the indicator list.
  virtual void DrawScaledIndicatorImage(TcxCanvas* ACanvas, const TRect& R, TcxIndicatorKind AKind,
                                        const TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledIndicatorItem(TcxCanvas* ACanvas, const TRect& R, const TRect& AImageAreaBounds,
                                       TcxIndicatorKind AKind, vcl::TColor AColor,
                                       const TdxScaleFactor* AScaleFactor, TcxDrawBackgroundEvent AOnDrawBackground,
                                       TcxNeighbors ANeighbors);
  virtual void DrawScaledIndicatorItem(TcxCanvas* ACanvas, const TRect& R, TcxIndicatorKind AKind,
                                       vcl::TColor AColor, const TdxScaleFactor* AScaleFactor,
                                       TcxDrawBackgroundEvent AOnDrawBackground = {});
  virtual void DrawScaledIndicatorItemEx(TcxCanvas* ACanvas, const TRect& R, TcxIndicatorKind AKind,
                                         vcl::TColor AColor, const TdxScaleFactor* AScaleFactor,
                                         TcxDrawBackgroundEvent AOnDrawBackground = {});
  virtual void DrawScaledIndicatorCustomizationMark(TcxCanvas* ACanvas, const TRect& R, vcl::TColor AColor,
                                                    const TdxScaleFactor* AScaleFactor);
  virtual bool IndicatorDrawItemsFirst();
  void DrawIndicatorImage(TcxCanvas* ACanvas, const TRect& R, TcxIndicatorKind AKind);
  void DrawIndicatorItem(TcxCanvas* ACanvas, const TRect& R, const TRect& AImageAreaBounds, TcxIndicatorKind AKind,
                         vcl::TColor AColor, TcxDrawBackgroundEvent AOnDrawBackground, TcxNeighbors ANeighbors);
  void DrawIndicatorItem(TcxCanvas* ACanvas, const TRect& R, TcxIndicatorKind AKind, vcl::TColor AColor,
                         TcxDrawBackgroundEvent AOnDrawBackground = {});
  void DrawIndicatorItemEx(TcxCanvas* ACanvas, const TRect& R, TcxIndicatorKind AKind, vcl::TColor AColor,
                           TcxDrawBackgroundEvent AOnDrawBackground = {});
  // At 96 dots per inch whatever the system resolution.
  void DrawIndicatorCustomizationMark(TcxCanvas* ACanvas, const TRect& R, vcl::TColor AColor);

  // Grid elements
  virtual void DrawFilterRowSeparator(TcxCanvas* ACanvas, const TRect& ARect, vcl::TColor ABackgroundColor);
  virtual void DrawGroupByBox(TcxCanvas* ACanvas, const TRect& ARect, bool ATransparent, vcl::TColor ABackgroundColor,
                              vcl::TBitmap* ABackgroundBitmap);
  virtual int GridBordersOverlapSize();
  virtual vcl::TColor GridGroupRowStyleOffice11ContentColor(bool AHasData);
  virtual vcl::TColor GridGroupRowStyleOffice11SeparatorColor();
  virtual vcl::TColor GridGroupRowStyleOffice11TextColor();
  virtual bool GridDrawHeaderCellsFirst();
  virtual vcl::TColor PivotGridHeadersAreaColor();
  virtual vcl::TColor PivotGridHeadersAreaTextColor();
  virtual vcl::TColor GridLikeControlBackgroundColor();
  virtual vcl::TColor GridLikeControlContentTextColor();
  // True when odd rows, even rows and the content differ in colour.
  virtual bool GridLikeControlDefaultUseOddEvenStyle();

  // Layout view
  virtual void LayoutViewDrawItem(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                  TcxBorders ABorders);
  virtual void LayoutViewDrawRecordCaption(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextRect,
                                           TcxGroupBoxCaptionPosition APosition, TcxButtonState AState,
                                           vcl::TColor AColor = vcl::clDefault, vcl::TBitmap* ABitmap = nullptr);
  virtual void LayoutViewDrawRecordBorder(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                          TcxBorders ABorders);
  virtual void LayoutViewDrawRecordContent(TcxCanvas* ACanvas, const TRect& ABounds,
                                           TcxGroupBoxCaptionPosition ACaptionPosition, TcxButtonState AState,
                                           TcxBorders ABorders);
  virtual void LayoutViewDrawScaledRecordExpandButton(TcxCanvas* ACanvas, const TRect& ABounds,
                                                      TcxButtonState AState, bool AExpanded,
                                                      const TdxScaleFactor* AScaleFactor);
  virtual TRect LayoutViewGetPadding(TcxLayoutElement AElement);
  virtual TRect LayoutViewGetSpacing(TcxLayoutElement AElement);
  virtual int LayoutViewRecordCaptionTailSize(TcxGroupBoxCaptionPosition ACaptionPosition);
  virtual bool LayoutViewRecordCaptionTextBold();
  void LayoutViewDrawRecordExpandButton(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                        bool AExpanded);

  // WinExplorer view
  virtual vcl::TColor WinExplorerViewDefaultRecordColor(TcxButtonState AState);
  virtual void WinExplorerViewDrawGroup(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                        vcl::TColor AColor = vcl::clDefault, vcl::TBitmap* ABitmap = nullptr);
  virtual void WinExplorerViewDrawGroupCaptionLine(TcxCanvas* ACanvas, const TRect& ABounds);
  virtual void WinExplorerViewDrawRecord(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                         vcl::TColor AColor = vcl::clDefault, vcl::TBitmap* ABitmap = nullptr);
  virtual void WinExplorerViewDrawScaledRecordExpandButton(TcxCanvas* ACanvas, const TRect& ABounds,
                                                           TcxButtonState AState, bool AExpanded,
                                                           const TdxScaleFactor* AScaleFactor);
  virtual int WinExplorerViewGroupCaptionLineHeight();
  virtual bool WinExplorerViewGroupTextBold();
  virtual vcl::TColor WinExplorerViewGroupTextColor(TcxButtonState AState);
  virtual vcl::TColor WinExplorerViewRecordTextColor(TcxButtonState AState);
  virtual int WinExplorerViewScaledExpandButtonSize(const TdxScaleFactor* AScaleFactor);
  void WinExplorerViewDrawRecordExpandButton(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                             bool AExpanded);
  int WinExplorerViewExpandButtonSize();

  // Chart
  virtual int ChartToolBoxDataLevelInfoBorderSize();

  // Footers
  virtual TcxBorders FooterBorders();
  virtual int FooterBorderSize();
  virtual int FooterCellBorderSize();
  virtual int FooterCellOffset();
  virtual bool FooterDrawCellsFirst();
  virtual vcl::TColor FooterSeparatorColor();
  virtual int FooterSeparatorSize();
  virtual void DrawFooterCell(TcxCanvas* ACanvas, const TRect& ABounds, rtl::TAlignment AAlignmentHorz,
                              TcxAlignmentVert AAlignmentVert, bool AMultiLine, const rtl::String& AText,
                              vcl::TFont* AFont, vcl::TColor ATextColor, vcl::TColor ABkColor,
                              TcxDrawBackgroundEvent AOnDrawBackground = {});
  virtual void DrawFooterCellContent(TcxCanvas* ACanvas, const TRect& ABounds, rtl::TAlignment AAlignmentHorz,
                                     TcxAlignmentVert AAlignmentVert, bool AMultiLine, const rtl::String& AText,
                                     vcl::TFont* AFont, vcl::TColor ATextColor, vcl::TColor ABkColor,
                                     TcxDrawBackgroundEvent AOnDrawBackground = {});
  virtual void DrawFooterBorder(TcxCanvas* ACanvas, const TRect& R);
  // The separator across the top, DrawFooterBorder below it.
  virtual void DrawFooterBorderEx(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders);
  virtual void DrawFooterCellBorder(TcxCanvas* ACanvas, const TRect& R);
  virtual void DrawFooterContent(TcxCanvas* ACanvas, const TRect& ARect, const TcxViewParams& AViewParams);
  virtual void DrawFooterSeparator(TcxCanvas* ACanvas, const TRect& R);
  // Content and border, clipped to ABounds.
  void DrawFooterPanel(TcxCanvas* ACanvas, const TRect& ABounds, const TcxViewParams& AViewParams,
                       TcxBorders ABorders);

  // Filter elements
  virtual void DrawFilterPanel(TcxCanvas* ACanvas, const TRect& ARect, bool ATransparent,
                               vcl::TColor ABackgroundColor, vcl::TGraphic* ABackgroundBitmap);
  virtual void DrawScaledFilterActivateButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                              bool AChecked, const TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledFilterCloseButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                           const TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledFilterSmartTag(TcxCanvas* ACanvas, const TRect& R, TcxFilterSmartTagState AState,
                                        bool AIsFilterActive, const TdxScaleFactor* AScaleFactor);
  virtual IdxColorPalette* FilterControlMenuGetColorPalette();
  virtual TPoint ScaledFilterActivateButtonSize(const TdxScaleFactor* AScaleFactor);
  virtual TPoint ScaledFilterCloseButtonSize(const TdxScaleFactor* AScaleFactor);
  // The height is 0: the caller's. The width grows to the touch minimum in
  // touch mode.
  virtual TPoint ScaledFilterDropDownButtonSize(const TdxScaleFactor* AScaleFactor);
  virtual TSize ScaledFilterSmartTagSize(const TdxScaleFactor* AScaleFactor);
  void DrawFilterActivateButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AChecked);
  void DrawFilterCloseButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  void DrawFilterDropDownButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AIsFilterActive);
  void DrawFilterSmartTag(TcxCanvas* ACanvas, const TRect& R, TcxFilterSmartTagState AState, bool AIsFilterActive);
  TPoint FilterActivateButtonSize();
  TPoint FilterCloseButtonSize();
  TPoint FilterDropDownButtonSize();
  TSize FilterSmartTagSize();

  // Find panel
  virtual void DrawFindPanel(TcxCanvas* ACanvas, const TRect& ARect, bool ATransparent, vcl::TColor ABackgroundColor,
                             vcl::TGraphic* ABackgroundBitmap);
  virtual void DrawFindPanelBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders);

  // Check box (sizes and colours are above)
  virtual void DrawScaledCheck(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                               TcxCheckBoxState ACheckState, vcl::TColor AColor, const TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledCheck(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AChecked,
                               vcl::TColor AColor, const TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledCheckButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                     TcxCheckBoxState ACheckState, const TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledCheckButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AChecked,
                                     const TdxScaleFactor* AScaleFactor);
  void DrawCheck(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, TcxCheckBoxState ACheckState,
                 vcl::TColor AColor);
  void DrawCheck(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AChecked, vcl::TColor AColor);
  void DrawCheckButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, TcxCheckBoxState ACheckState);
  void DrawCheckButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AChecked);

  // Toggle switch
  virtual void DrawScaledToggleSwitch(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                      const TRect& AThumbBounds, const TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledToggleSwitchState(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                           bool AChecked, const TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledToggleSwitchThumb(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                           const TdxScaleFactor* AScaleFactor);
  virtual void DrawToggleSwitchStateIndicator(TcxCanvas* ACanvas, const TRect& ABounds, const rtl::String& AText,
                                              vcl::TFont* AFont);
  virtual IdxColorPalette* GetToggleSwitchColorPalette();
  virtual vcl::TColor GetToggleSwitchTextColor();
  // The thumb's share of the switch width, in percent.
  virtual int GetToggleSwitchThumbPercentsWidth();
  virtual vcl::TColor ToggleSwitchToggleColor(bool AChecked);
  void DrawToggleSwitch(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState, const TRect& AThumbBounds);
  void DrawToggleSwitchState(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState, bool AChecked);
  void DrawToggleSwitchThumb(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState);

  // Label line (its height is above)
  virtual void DrawLabelLine(TcxCanvas* ACanvas, const TRect& R, vcl::TColor AOuterColor, vcl::TColor AInnerColor,
                             bool AIsVertical);

  // Popup windows
  // Leaves R as the rectangle inside the border.
  virtual void DrawEditPopupWindowBorder(TcxCanvas* ACanvas, TRect& R, TcxEditPopupBorderStyle ABorderStyle,
                                         bool AClientEdge);
  virtual int GetEditPopupWindowBorderWidth(TcxEditPopupBorderStyle AStyle);
  virtual int GetEditPopupWindowClientEdgeWidth(TcxEditPopupBorderStyle AStyle);
  virtual TcxPopupBorderStyle PopupBorderStyle();

  // Scroll bars
  virtual void DrawScaledScrollBarBackground(TcxCanvas* ACanvas, const TRect& R, bool AHorizontal,
                                             const TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const TRect& R, TcxScrollBarPart APart,
                                       TcxButtonState AState, const TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledScrollBarSplitter(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                           const TdxScaleFactor* AScaleFactor);
  virtual int ScaledScrollBarMinimalThumbSize(bool AVertical, const TdxScaleFactor* AScaleFactor);
  void DrawScrollBarBackground(TcxCanvas* ACanvas, const TRect& R, bool AHorizontal);
  void DrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const TRect& R, TcxScrollBarPart APart,
                         TcxButtonState AState);
  void DrawScrollBarSplitter(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  int ScrollBarMinimalThumbSize(bool AVertical);

  // Popup panels and size grips
  virtual void CalculateScaledPopupPanelClientRect(TRect& AClientRect, TRect& APanelRect, TRect& AGripRect,
                                                   TRect& ACloseButtonRect, TdxCorner ACorner, const TRect& ABorders,
                                                   const TRect& APanelBorders, const TdxScaleFactor* AScaleFactor,
                                                   int APanelHeight = 0, bool AShowCloseButton = true,
                                                   bool AShowGripSize = true);
  virtual void DrawScaledPopupNCPanel(HWND AHandle, bool AMouseAboveCloseButton, bool ACloseButtonIsTracking,
                                      TdxCorner ACorner, const TRect& ACloseButtonRect, const TRect& AGripRect,
                                      vcl::TColor ABorderColor, const TdxScaleFactor* AScaleFactor);
  // Draws the bottom-right grip; DrawScaledSizeGrip carries it to a corner.
  virtual void DoDrawSizeGrip(TcxCanvas* ACanvas, const TRect& ARect, const TdxScaleFactor* AScaleFactor);
  virtual void DrawSizeGrip(TcxCanvas* ACanvas, const TRect& ARect, vcl::TColor ABackgroundColor = vcl::clDefault,
                            TdxCorner ACorner = TdxCorner::coBottomRight);
  virtual void DrawScaledSizeGrip(TcxCanvas* ACanvas, const TRect& ARect, const TdxScaleFactor* AScaleFactor,
                                  vcl::TColor ABackgroundColor = vcl::clDefault, TdxCorner ACorner = TdxCorner::coBottomRight);
  // The platform's scroll-bar arrow width by its height, at the factor.
  virtual TSize ScaledSizeGripSize(const TdxScaleFactor* AScaleFactor);
  void CalculatePopupPanelClientRect(TRect& AClientRect, TRect& APanelRect, TRect& AGripRect,
                                     TRect& ACloseButtonRect, TdxCorner ACorner, const TRect& ABorders,
                                     const TRect& APanelBorders, int APanelHeight = 0, bool AShowCloseButton = true,
                                     bool AShowGripSize = true);
  void DrawPopupNCPanel(HWND AHandle, bool AMouseAboveCloseButton, bool ACloseButtonIsTracking, TdxCorner ACorner,
                        const TRect& ACloseButtonRect, const TRect& AGripRect, vcl::TColor ABorderColor);
  void DoDrawSizeGrip(TcxCanvas* ACanvas, const TRect& ARect);
  TSize SizeGripSize();
  // Tall enough for a scroll-bar arrow, the size grip and the small close
  // button.
  int ScaledPopupPanelSize(const TdxScaleFactor* AScaleFactor);
  int PopupPanelSize();
  void DrawScaledPopupPanelBand(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& AGripRect,
                                const TRect& ACloseButtonRect, TdxCorner AGripCorner, TcxButtonState ACloseButtonState,
                                const TRect& ABorders, vcl::TColor ABorderColor, const TdxScaleFactor* AScaleFactor,
                                bool AShowGripSize = true, bool AShowCloseButton = true);
  void DrawPopupPanelBand(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& AGripRect,
                          const TRect& ACloseButtonRect, TdxCorner AGripCorner, TcxButtonState ACloseButtonState,
                          const TRect& ABorders, vcl::TColor ABorderColor, bool AShowGripSize = true,
                          bool AShowCloseButton = true);

  // Slider buttons: scroll-bar arrow parts of the size-grip size.
  virtual TSize ScaledSliderButtonSize(TcxArrowDirection ADirection, const TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledSliderButton(TcxCanvas* ACanvas, const TRect& ARect, TcxArrowDirection ADirection,
                                      TcxButtonState AState, const TdxScaleFactor* AScaleFactor);
  TSize SliderButtonSize(TcxArrowDirection ADirection);
  void DrawSliderButton(TcxCanvas* ACanvas, const TRect& ARect, TcxArrowDirection ADirection, TcxButtonState AState);

  // Progress bar
  virtual void DrawProgressBarBorder(TcxCanvas* ACanvas, const TRect& ARect, bool AVertical);
  virtual void DrawProgressBarChunk(TcxCanvas* ACanvas, const TRect& ARect, bool AVertical);
  virtual void DrawProgressBarText(TcxCanvas* ACanvas, bool AVertical, bool ASolid, const rtl::String& AText,
                                   const TRect& ATextRect, const TRect& AProgressBarRect,
                                   const TRect& AProgressChunkRect, vcl::TColor ATextColor = vcl::clDefault);
  virtual TRect ProgressBarBorderSize(bool AVertical);
  virtual vcl::TColor ProgressBarTextColor();
  // clDefault over the filled area lets DrawProgressBarText invert the text.
  virtual vcl::TColor ProgressBarTextColorEx(bool AIsFilledArea);

  // Group box
  virtual void DrawGroupBoxBackground(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ARect);
  virtual void DrawGroupBoxCaption(TcxCanvas* ACanvas, const TRect& ACaptionRect, const TRect& ATextRect,
                                   TcxGroupBoxCaptionPosition ACaptionPosition);
  virtual void DrawGroupBoxContent(TcxCanvas* ACanvas, const TRect& ABorderRect,
                                   TcxGroupBoxCaptionPosition ACaptionPosition, TcxBorders ABorders);
  virtual void DrawGroupBoxScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                              bool AExpanded, const TdxScaleFactor* AScaleFactor,
                                              TcxRotationAngle ARotationAngle = TcxRotationAngle::ra0);
  virtual void DrawGroupBoxScaledButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                        const TdxScaleFactor* AScaleFactor);
  virtual void DrawGroupBoxScaledExpandGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                             bool AExpanded, const TdxScaleFactor* AScaleFactor);
  virtual void DrawGroupBoxFrame(TcxCanvas* ACanvas, const TRect& R, bool AEnabled,
                                 TcxGroupBoxCaptionPosition ACaptionPosition, TcxBorders ABorders);
  virtual void GroupBoxAdjustCaptionFont(vcl::TFont* ACaptionFont, TcxGroupBoxCaptionPosition ACaptionPosition);
  virtual TRect GroupBoxBorderSize(bool ACaption, TcxGroupBoxCaptionPosition ACaptionPosition);
  virtual int GroupBoxCaptionTailSize(TcxGroupBoxCaptionPosition ACaptionPosition);
  virtual vcl::TColor GroupBoxTextColor(bool AEnabled, TcxGroupBoxCaptionPosition ACaptionPosition);
  virtual bool IsGroupBoxCaptionTextDrawnOverBorder(TcxGroupBoxCaptionPosition ACaptionPosition);
  virtual bool IsGroupBoxTransparent(bool AIsCaption, TcxGroupBoxCaptionPosition ACaptionPosition);
  void DrawGroupBoxExpandButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AExpanded,
                                TcxRotationAngle ARotationAngle = TcxRotationAngle::ra0);
  void DrawGroupBoxButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  void DrawGroupBoxExpandGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AExpanded);

  // Panel
  virtual void DrawPanelBackground(TcxCanvas* ACanvas, vcl::TWinControl* AControl, const TRect& ABounds,
                                   vcl::TColor AColorFrom = vcl::clDefault, vcl::TColor AColorTo = vcl::clDefault);
  virtual void DrawPanelBorders(TcxCanvas* ACanvas, const TRect& ABorderRect);
  virtual void DrawPanelCaption(TcxCanvas* ACanvas, const TRect& ACaptionRect,
                                TcxGroupBoxCaptionPosition ACaptionPosition);
  virtual void DrawPanelContent(TcxCanvas* ACanvas, const TRect& ARect, bool ADrawBorders);
  virtual TRect PanelBorderSize();
  virtual vcl::TColor PanelTextColor();

  // Splitter
  virtual vcl::TColor GetSplitterInnerColor(bool AHighlighted);
  virtual vcl::TColor GetSplitterOuterColor(bool AHighlighted);
  virtual void DrawScaledSplitter(TcxCanvas* ACanvas, const TRect& ARect, bool AHighlighted, bool AClicked,
                                  bool AHorizontal, const TdxScaleFactor* AScaleFactor, bool AHasCloseMark = false,
                                  TcxArrowDirection AArrowDirection = TcxArrowDirection::adLeft);
  // 17 long and 2 thick, scaled.
  virtual TSize GetScaledSplitterSize(bool AHorizontal, const TdxScaleFactor* AScaleFactor);
  void DrawSplitter(TcxCanvas* ACanvas, const TRect& ARect, bool AHighlighted, bool AClicked, bool AHorizontal);
  void DrawSplitterCloseMark(TcxCanvas* ACanvas, const TRect& ARect, bool AHighlighted, bool AClicked,
                             bool AHorizontal, const TdxScaleFactor* AScaleFactor, TcxArrowDirection AArrowDirection);
  TSize GetSplitterSize(bool AHorizontal);
  // The splitter is thicker than one pixel.
  bool HasSplitterInnerLine(bool AHorizontal, const TdxScaleFactor* AScaleFactor);

  // Bevel
  virtual void DrawBevelFrame(TcxCanvas* ACanvas, const TRect& R, vcl::TColor AColor1, vcl::TColor AColor2,
                              bool ABoxStyle);
  virtual void DrawBevelLine(TcxCanvas* ACanvas, const TRect& R, vcl::TColor AColor1, vcl::TColor AColor2,
                             bool AIsVertical);
  virtual void DrawBevelShape(TcxCanvas* ACanvas, const TRect& R, TdxBevelShape AShape, TdxBevelStyle AStyle);
  virtual TSize GetBevelMinimalShapeSize(TdxBevelShape AShape);
  virtual void GetBevelShapeColors(vcl::TColor& AColor1, vcl::TColor& AColor2);

  // Scheduler
  virtual void CalculateSchedulerNavigationButtonRects(bool AIsNextButton, bool ACollapsed,
                                                       const TSize& APrevButtonTextSize,
                                                       const TSize& ANextButtonTextSize, TRect& ABounds,
                                                       TRect& ATextRect, TRect& AArrowRect,
                                                       const TdxScaleFactor* AScaleFactor, bool AIsVertical = false);
  virtual void CalculateSchedulerNavigationButtonRects(bool AIsNextButton, bool ACollapsed,
                                                       const TSize& APrevButtonTextSize,
                                                       const TSize& ANextButtonTextSize, TRect& ABounds,
                                                       TRect& ATextRect, TRect& AArrowRect, bool AIsVertical = false);
  virtual void DrawScaledMonthHeader(TcxCanvas* ACanvas, const TRect& ABounds, const rtl::String& AText,
                                     TcxNeighbors ANeighbors, const TcxViewParams& AViewParams,
                                     TcxArrowDirections AArrows, int ASideWidth, const TdxScaleFactor* AScaleFactor,
                                     TcxDrawBackgroundEvent AOnDrawBackground = {});
  virtual void DrawSchedulerBorder(TcxCanvas* ACanvas, const TRect& R);
  virtual void DrawSchedulerDayHeader(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                                      TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState,
                                      rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                      bool AMultiLine, bool AShowEndEllipsis, const rtl::String& AText,
                                      vcl::TFont* AFont, vcl::TColor ATextColor, vcl::TColor ABkColor,
                                      const TdxScaleFactor* AScaleFactor,
                                      TcxDrawBackgroundEvent AOnDrawBackground = {}, bool AIsLast = false,
                                      bool AIsGroup = false);
  virtual void DrawSchedulerEventProgress(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& AProgress,
                                          const TcxViewParams& AViewParams, bool ATransparent);
  virtual void DrawSchedulerGroup(TcxCanvas* ACanvas, const TRect& R, vcl::TColor AColor);
  virtual void DrawSchedulerScaledGroupSeparator(TcxCanvas* ACanvas, const TRect& ABounds,
                                                 vcl::TColor ABackgroundColor, const TdxScaleFactor* AScaleFactor,
                                                 TcxDrawBackgroundEvent AOnDrawBackground = {});
  virtual void DrawSchedulerMilestone(TcxCanvas* ACanvas, const TRect& R);
  virtual void DrawSchedulerNavigationButton(TcxCanvas* ACanvas, const TRect& ARect, bool AIsNextButton,
                                             TcxButtonState AState, const rtl::String& AText, const TRect& ATextRect,
                                             const TRect& AArrowRect, bool AIsVertical = false);
  virtual void DrawSchedulerNavigationButtonArrow(TcxCanvas* ACanvas, const TRect& ARect, bool AIsNextButton,
                                                  vcl::TColor AColor, bool AForVertical = false);
  virtual void DrawSchedulerScaledNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                  const TdxScaleFactor* AScaleFactor);
  virtual void DrawSchedulerSplitterBorder(TcxCanvas* ACanvas, const TRect& R, const TcxViewParams& AViewParams,
                                           bool AIsHorizontal);
  virtual TRect SchedulerEventProgressOffsets();
  virtual vcl::TColor SchedulerNavigationButtonTextColor(bool AIsNextButton, TcxButtonState AState,
                                                         vcl::TColor ADefaultColor = vcl::clDefault);
  virtual void SchedulerNavigationButtonSizes(bool AIsNextButton, TRect& ABorders, TSize& AArrowSize,
                                              bool& AHasTextArea, const TdxScaleFactor* AScaleFactor,
                                              bool AIsVertical = false);
  virtual void SchedulerNavigationButtonSizes(bool AIsNextButton, TRect& ABorders, TSize& AArrowSize,
                                              bool& AHasTextArea, bool AIsVertical = false);
  void DrawMonthHeader(TcxCanvas* ACanvas, const TRect& ABounds, const rtl::String& AText, TcxNeighbors ANeighbors,
                       const TcxViewParams& AViewParams, TcxArrowDirections AArrows, int ASideWidth,
                       TcxDrawBackgroundEvent AOnDrawBackground = {});
  void DrawSchedulerGroupSeparator(TcxCanvas* ACanvas, const TRect& ABounds, vcl::TColor ABackgroundColor,
                                   TcxDrawBackgroundEvent AOnDrawBackground = {});
  void DrawSchedulerNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);

  // Clock
  virtual void DrawScaledClock(TcxCanvas* ACanvas, const TRect& ARect, rtl::TDateTime ADateTime,
                               vcl::TColor ABackgroundColor, const TdxScaleFactor* AScaleFactor);
  virtual TSize ScaledClockSize(const TdxScaleFactor* AScaleFactor);
  void DrawClock(TcxCanvas* ACanvas, const TRect& ARect, rtl::TDateTime ADateTime, vcl::TColor ABackgroundColor);
  TSize ClockSize();

  // Date navigator
  virtual void DrawDateNavigatorCellSelection(TcxCanvas* ACanvas, const TRect& R, vcl::TColor AColor);
  // Leaves R inside the header's edge.
  virtual void DrawDateNavigatorDateHeader(TcxCanvas* ACanvas, TRect& R);
  virtual void DrawDateNavigatorTodayCellSelection(TcxCanvas* ACanvas, const TRect& R);

  // Data navigator
  virtual void DrawNavigatorBorder(TcxCanvas* ACanvas, const TRect& R, bool ASelected);
  virtual void DrawNavigatorScaledButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                         vcl::TColor ABackgroundColor, const TdxScaleFactor* AScaleFactor);
  virtual void DrawNavigatorScaledButtonGlyph(TcxCanvas* ACanvas, vcl::TCustomImageList* AImageList, int AImageIndex,
                                              const TRect& AGlyphRect, bool AEnabled, bool AUserGlyphs,
                                              const TdxScaleFactor* AScaleFactor);
  virtual bool NavigatorBorderOverlap();
  virtual int NavigatorBorderSize();
  virtual IdxColorPalette* NavigatorButtonColorPalette(bool AEnabled);
  virtual TPoint NavigatorButtonPressedGlyphOffset();
  virtual vcl::TColor NavigatorButtonTextColor(TcxButtonState AState);
  virtual TRect NavigatorScaledButtonGlyphPadding(const TdxScaleFactor* AScaleFactor);
  virtual TSize NavigatorScaledButtonGlyphSize(const TdxScaleFactor* AScaleFactor);
  virtual TSize NavigatorScaledButtonMinSize(const TdxScaleFactor* AScaleFactor);
  virtual vcl::TColor NavigatorInfoPanelColor();
  virtual vcl::TColor NavigatorInfoPanelTextColor();
  void DrawNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, vcl::TColor ABackgroundColor);
  void DrawNavigatorButtonGlyph(TcxCanvas* ACanvas, vcl::TCustomImageList* AImageList, int AImageIndex,
                                const TRect& AGlyphRect, bool AEnabled, bool AUserGlyphs);
  TRect NavigatorButtonGlyphPadding();
  TSize NavigatorButtonGlyphSize();
  TSize NavigatorButtonMinSize();

  // Calendar and clock hands
  virtual void DrawCalendarDateCellSelection(TcxCanvas* ACanvas, const TRect& ARect, TcxCalendarElementStates AStates);
  virtual void DrawModernCalendarArrow(TcxCanvas* ACanvas, const TRect& ARect, TcxArrowDirection ADirection,
                                       TcxCalendarElementState AState);
  virtual void DrawModernCalendarClock(TcxCanvas* ACanvas, const TRect& ARect, rtl::TDateTime ADateTime,
                                       vcl::TColor ABackgroundColor, const TdxScaleFactor* AScaleFactor);
  virtual void DrawModernCalendarDateCellSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                   TcxCalendarElementStates AStates);
  virtual void DrawModernCalendarDateHeaderSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                     TcxCalendarElementStates AStates);
  virtual void DrawModernCalendarHeaderSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                 TcxCalendarElementStates AStates);
  virtual vcl::TColor GetModernCalendarCellTextColor(TcxCalendarElementStates AStates);
  virtual vcl::TColor GetModernCalendarDateHeaderTextColor(TcxCalendarElementStates AStates);
  virtual vcl::TColor GetModernCalendarHeaderTextColor();
  virtual TRect GetModernCalendarHeaderTextOffsets();
  virtual vcl::TColor GetModernCalendarMarkedCellBorderColor();
  virtual vcl::TColor GetModernCalendarSelectedTextColor();
  virtual void DrawScaledModernCalendarArrow(TcxCanvas* ACanvas, const TRect& ARect, TcxArrowDirection ADirection,
                                             TcxCalendarElementState AState, const TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledModernClockHands(TcxCanvas* ACanvas, const TRect& ARect, rtl::TDateTime ADateTime,
                                          vcl::TColor AColor, const TdxScaleFactor* AScaleFactor);
  // At 96 dots per inch whatever the system resolution.
  void DrawModernClockHands(TcxCanvas* ACanvas, const TRect& ARect, rtl::TDateTime ADateTime, vcl::TColor AColor);

  // Window content
  virtual vcl::TColor GetWindowContentTextColor();
  virtual void DrawWindowContent(TcxCanvas* ACanvas, const TRect& ARect);

  // Hints and screen tips
  virtual vcl::TColor GetHintBorderColor();
  virtual void DrawHintBackground(TcxCanvas* ACanvas, const TRect& ARect, vcl::TColor AColor = vcl::clDefault);
  virtual IdxColorPalette* ScreenTipGetColorPalette();
  virtual vcl::TColor ScreenTipGetDescriptionTextColor();
  virtual int ScreenTipGetFooterLineSize();
  virtual vcl::TColor ScreenTipGetTitleTextColor();
  virtual void ScreenTipDrawBackground(TcxCanvas* ACanvas, const TRect& ARect);
  virtual void ScreenTipDrawFooterLine(TcxCanvas* ACanvas, const TRect& ARect);

  // Tabs
  virtual void DrawTab(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders, const rtl::String& AText,
                       TcxButtonState AState, bool AVertical, vcl::TFont* AFont, vcl::TColor ATextColor,
                       vcl::TColor ABkColor, bool AShowPrefix = false);
  virtual void DrawTabBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorder ABorder, TcxBorders ABorders,
                             bool AVertical);
  virtual void DrawTabsRoot(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders, bool AVertical);
  virtual bool IsDrawTabImplemented(bool AVertical);
  virtual bool IsTabHotTrack(bool AVertical);
  virtual int TabBorderSize(bool AVertical);

  // Message box
  virtual void DrawMessageBox(TcxCanvas* ACanvas, const TRect& ABounds, const rtl::String& AMessage,
                              vcl::TFont* AFont = nullptr, vcl::TColor AColor = vcl::clNone);

  // Breadcrumb edit
  virtual vcl::TColor BreadcrumbEditBackgroundColor(TdxBreadcrumbEditState AState);
  virtual TRect BreadcrumbEditBordersSize();
  virtual IdxColorPalette* BreadcrumbEditButtonColorPalette(TdxBreadcrumbEditButtonState AState);
  virtual bool BreadcrumbEditIsFadingSupports();
  virtual vcl::TColor BreadcrumbEditNodeTextColor(TdxBreadcrumbEditButtonState AState);
  virtual int BreadcrumbEditScaledButtonAreaSeparatorSize(const TdxScaleFactor* AScaleFactor);
  virtual TRect BreadcrumbEditScaledButtonContentOffsets(bool AIsFirst, bool AIsLast,
                                                         const TdxScaleFactor* AScaleFactor);
  virtual int BreadcrumbEditScaledDropDownButtonWidth(const TdxScaleFactor* AScaleFactor);
  virtual int BreadcrumbEditScaledNodeDelimiterSize(const TdxScaleFactor* AScaleFactor);
  virtual TRect BreadcrumbEditScaledNodeTextOffsets(const TdxScaleFactor* AScaleFactor);
  virtual TSize BreadcrumbEditScaledProgressChunkOverlaySize(const TdxScaleFactor* AScaleFactor);
  virtual TRect BreadcrumbEditScaledProgressChunkPadding(const TdxScaleFactor* AScaleFactor);
  virtual void DrawBreadcrumbEditBorders(TcxCanvas* ACanvas, const TRect& ARect, TcxBorders ABorders,
                                         TdxBreadcrumbEditState AState);
  virtual void DrawBreadcrumbEditScaledButton(TcxCanvas* ACanvas, const TRect& ARect,
                                              TdxBreadcrumbEditButtonState AState, bool AIsFirst, bool AIsLast,
                                              const TdxScaleFactor* AScaleFactor);
  virtual void DrawBreadcrumbEditScaledButtonAreaSeparator(TcxCanvas* ACanvas, const TRect& ARect,
                                                           TdxBreadcrumbEditState AState,
                                                           const TdxScaleFactor* AScaleFactor);
  virtual void DrawBreadcrumbEditScaledDropDownButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                      TdxBreadcrumbEditButtonState AState, bool AIsInEditor,
                                                      const TdxScaleFactor* AScaleFactor);
  virtual void DrawBreadcrumbEditScaledDropDownButtonGlyph(TcxCanvas* ACanvas, const TRect& ARect,
                                                           TdxBreadcrumbEditButtonState AState, bool AIsInEditor,
                                                           const TdxScaleFactor* AScaleFactor);
  virtual void DrawBreadcrumbEditScaledNode(TcxCanvas* ACanvas, const TRect& R, TdxBreadcrumbEditButtonState AState,
                                            bool AHasDelimiter, const TdxScaleFactor* AScaleFactor);
  virtual void DrawBreadcrumbEditScaledNodeDelimiter(TcxCanvas* ACanvas, const TRect& R,
                                                     TdxBreadcrumbEditButtonState AState,
                                                     const TdxScaleFactor* AScaleFactor);
  virtual void DrawBreadcrumbEditScaledNodeDelimiterGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                          TdxBreadcrumbEditButtonState AState,
                                                          const TdxScaleFactor* AScaleFactor);
  virtual void DrawBreadcrumbEditScaledNodeMoreButtonGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                           TdxBreadcrumbEditButtonState AState,
                                                           const TdxScaleFactor* AScaleFactor);
  virtual void DrawBreadcrumbEditScaledProgressChunk(TcxCanvas* ACanvas, const TRect& R,
                                                     const TdxScaleFactor* AScaleFactor);
  virtual void DrawBreadcrumbEditScaledProgressChunkOverlay(TcxCanvas* ACanvas, const TRect& R,
                                                            const TdxScaleFactor* AScaleFactor);
  int BreadcrumbEditButtonAreaSeparatorSize();
  TRect BreadcrumbEditButtonContentOffsets(bool AIsFirst, bool AIsLast);
  int BreadcrumbEditDropDownButtonWidth();
  int BreadcrumbEditNodeDelimiterSize();
  TRect BreadcrumbEditNodeTextOffsets();
  TRect BreadcrumbEditProgressChunkPadding();
  TSize BreadcrumbEditProgressChunkOverlaySize();
  void DrawBreadcrumbEditButtonAreaSeparator(TcxCanvas* ACanvas, const TRect& ARect, TdxBreadcrumbEditState AState);
  void DrawBreadcrumbEditButton(TcxCanvas* ACanvas, const TRect& ARect, TdxBreadcrumbEditButtonState AState,
                                bool AIsFirst, bool AIsLast);
  void DrawBreadcrumbEditDropDownButton(TcxCanvas* ACanvas, const TRect& ARect, TdxBreadcrumbEditButtonState AState,
                                        bool AIsInEditor);
  void DrawBreadcrumbEditDropDownButtonGlyph(TcxCanvas* ACanvas, const TRect& ARect,
                                             TdxBreadcrumbEditButtonState AState, bool AIsInEditor);
  void DrawBreadcrumbEditNode(TcxCanvas* ACanvas, const TRect& R, TdxBreadcrumbEditButtonState AState,
                              bool AHasDelimiter);
  void DrawBreadcrumbEditNodeDelimiter(TcxCanvas* ACanvas, const TRect& R, TdxBreadcrumbEditButtonState AState);
  void DrawBreadcrumbEditNodeDelimiterGlyph(TcxCanvas* ACanvas, const TRect& R, TdxBreadcrumbEditButtonState AState);
  void DrawBreadcrumbEditNodeMoreButtonGlyph(TcxCanvas* ACanvas, const TRect& R, TdxBreadcrumbEditButtonState AState);
  void DrawBreadcrumbEditProgressChunk(TcxCanvas* ACanvas, const TRect& R);
  void DrawBreadcrumbEditProgressChunkOverlay(TcxCanvas* ACanvas, const TRect& R);

  // Drop-down list box
  virtual void DrawDropDownListBoxBackground(TcxCanvas* ACanvas, const TRect& ARect, bool AHasBorders);
  virtual void DrawDropDownListBoxScaledGutterBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                         const TdxScaleFactor* AScaleFactor);
  virtual void DrawDropDownListBoxScaledSelection(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AGutterRect,
                                                  const TdxScaleFactor* AScaleFactor);
  virtual void DrawDropDownListBoxScaledSeparator(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AGutterRect,
                                                  const TdxScaleFactor* AScaleFactor);
  virtual int DropDownListBoxBordersSize();
  virtual vcl::TColor DropDownListBoxItemTextColor(bool ASelected);
  virtual TRect DropDownListBoxScaledItemImageOffsets(const TdxScaleFactor* AScaleFactor);
  virtual TRect DropDownListBoxScaledItemTextOffsets(const TdxScaleFactor* AScaleFactor);
  virtual int DropDownListBoxScaledSeparatorSize(const TdxScaleFactor* AScaleFactor);
  void DrawDropDownListBoxGutterBackground(TcxCanvas* ACanvas, const TRect& ARect);
  void DrawDropDownListBoxSelection(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AGutterRect);
  void DrawDropDownListBoxSeparator(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AGutterRect);
  TRect DropDownListBoxItemImageOffsets();
  TRect DropDownListBoxItemTextOffsets();
  int DropDownListBoxSeparatorSize();

  // Alert window
  virtual IdxColorPalette* AlertWindowButtonGetColorPalette(TcxButtonState AState);
  virtual int AlertWindowCornerRadius();
  virtual vcl::TColor AlertWindowNavigationPanelTextColor();
  virtual TRect AlertWindowScaledButtonContentOffsets(TdxAlertWindowButtonKind AKind,
                                                      const TdxScaleFactor* AScaleFactor);
  // No glyph for a custom button.
  virtual TSize AlertWindowScaledButtonGlyphSize(TdxAlertWindowButtonKind AKind, const TdxScaleFactor* AScaleFactor);
  virtual TRect AlertWindowScaledContentOffsets(const TdxScaleFactor* AScaleFactor);
  virtual vcl::TColor AlertWindowTextColor();
  virtual void DrawAlertWindowBackground(TcxCanvas* ACanvas, const TRect& ABounds,
                                         const TdxScaleFactor* AScaleFactor);
  virtual void DrawAlertWindowScaledButton(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                           TdxAlertWindowButtonKind AKind, const TdxScaleFactor* AScaleFactor,
                                           bool ADown = false);
  virtual void DrawAlertWindowNavigationPanel(TcxCanvas* ACanvas, const TRect& ABounds);
  TRect AlertWindowButtonContentOffsets(TdxAlertWindowButtonKind AKind);
  TSize AlertWindowButtonGlyphSize(TdxAlertWindowButtonKind AKind);
  TRect AlertWindowContentOffsets();
  void DrawAlertWindowButton(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                             TdxAlertWindowButtonKind AKind, bool ADown = false);
  void DrawPin(TcxCanvas* ACanvas, const TRect& ABounds, vcl::TColor AColor, bool APinned);

  // Tokens
  virtual void DrawScaledTokenBackground(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                         const TdxScaleFactor* AScaleFactor);
  virtual void DrawScaledTokenCloseGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                         const TdxScaleFactor* AScaleFactor);
  // The width grows to the touch minimum in touch mode.
  virtual TSize GetScaledTokenCloseGlyphSize(const TdxScaleFactor* AScaleFactor);
  virtual TRect GetScaledTokenContentOffsets(const TdxScaleFactor* AScaleFactor);
  virtual TSize GetScaledTokenDefaultGlyphSize(const TdxScaleFactor* AScaleFactor);
  virtual IdxColorPalette* GetTokenColorPalette(TcxButtonState AState);
  virtual vcl::TColor GetTokenTextColor(TcxButtonState AState);
  void DrawTokenBackground(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  void DrawTokenCloseGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  TSize GetTokenCloseGlyphSize();
  TRect GetTokenContentOffsets();
  TSize GetTokenDefaultGlyphSize();

  // Gauge
  virtual vcl::TColor GaugeControlBackgroundColor();
  virtual void DrawGaugeControlBackground(TcxCanvas* ACanvas, const TRect& ARect, bool ATransparent,
                                          vcl::TColor ABackgroundColor);

  // Map control: the panel, pushpin, text and shape colours carry alpha.
  virtual vcl::TColor MapControlBackgroundColor();
  virtual TdxAlphaColor MapControlPanelBackColor();
  virtual TdxAlphaColor MapControlPanelHotTrackedTextColor();
  virtual TdxAlphaColor MapControlPanelPressedTextColor();
  virtual TdxAlphaColor MapControlPanelTextColor();
  virtual TSize MapControlGetMapPushpinSize(const TdxScaleFactor* AScaleFactor);
  virtual TPoint MapControlGetMapPushpinTextOrigin(const TdxScaleFactor* AScaleFactor);
  virtual TRect MapControlMapCustomElementSelectionOffset(const TdxScaleFactor* AScaleFactor);
  virtual TdxAlphaColor MapControlMapCustomElementTextColor();
  virtual TdxAlphaColor MapControlMapCustomElementTextGlowColor();
  virtual TdxAlphaColor MapControlMapPushpinTextColor();
  virtual TdxAlphaColor MapControlMapPushpinTextGlowColor();
  virtual TdxAlphaColor MapControlSelectedRegionBackgroundColor();
  virtual TdxAlphaColor MapControlSelectedRegionBorderColor();
  virtual TdxAlphaColor MapControlShapeColor();
  virtual TdxAlphaColor MapControlShapeBorderColor();
  virtual int MapControlShapeBorderWidth(const TdxScaleFactor* AScaleFactor);
  virtual TdxAlphaColor MapControlShapeHighlightedColor();
  virtual TdxAlphaColor MapControlShapeBorderHighlightedColor();
  virtual int MapControlShapeBorderHighlightedWidth(const TdxScaleFactor* AScaleFactor);
  virtual TdxAlphaColor MapControlShapeSelectedColor();
  virtual TdxAlphaColor MapControlShapeBorderSelectedColor();
  virtual int MapControlShapeBorderSelectedWidth(const TdxScaleFactor* AScaleFactor);
  virtual void DrawMapCustomElementBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                              TdxMapControlElementState AState);
  virtual void DrawMapPushpin(TcxCanvas* ACanvas, const TRect& ARect, TdxMapControlElementState AState,
                              const TdxScaleFactor* AScaleFactor);

  // Office navigation bar
  virtual void OfficeNavigationBarDrawBackground(TcxCanvas* ACanvas, const TRect& ARect);
  virtual void OfficeNavigationBarDrawScaledButtonItemBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                                 TcxCalendarElementState AState,
                                                                 const TdxScaleFactor* AScaleFactor);
  // The default alpha marker draws the image in its own colours.
  virtual void OfficeNavigationBarDrawScaledCustomizationButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                                TcxCalendarElementState AState,
                                                                const TdxScaleFactor* AScaleFactor,
                                                                TdxAlphaColor AColor = 0x00010203);
  virtual void OfficeNavigationBarDrawScaledItemBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                           TcxCalendarElementState AState,
                                                           const TdxScaleFactor* AScaleFactor);
  virtual void OfficeNavigationBarDrawScaledImageSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                           TcxCalendarElementState AState,
                                                           const TdxScaleFactor* AScaleFactor);
  virtual vcl::TColor OfficeNavigationBarButtonItemTextColor(TcxCalendarElementState AState);
  virtual vcl::TColor OfficeNavigationBarItemTextColor(TcxCalendarElementState AState);
  virtual TRect OfficeNavigationBarScaledButtonItemContentOffsets(const TdxScaleFactor* AScaleFactor);
  virtual int OfficeNavigationBarScaledButtonItemFontSize(const TdxScaleFactor* AScaleFactor);
  virtual TRect OfficeNavigationBarScaledContentOffsets(const TdxScaleFactor* AScaleFactor);
  virtual TSize OfficeNavigationBarScaledCustomizationButtonSize(const TdxScaleFactor* AScaleFactor);
  virtual TRect OfficeNavigationBarScaledItemContentOffsets(const TdxScaleFactor* AScaleFactor);
  virtual int OfficeNavigationBarScaledItemFontSize(const TdxScaleFactor* AScaleFactor);
  void OfficeNavigationBarDrawCustomizationButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                  TcxCalendarElementState AState, TdxAlphaColor AColor = 0x00010203);
  void OfficeNavigationBarDrawImageSelection(TcxCanvas* ACanvas, const TRect& ARect, TcxCalendarElementState AState);
  void OfficeNavigationBarDrawButtonItemBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                   TcxCalendarElementState AState);
  void OfficeNavigationBarDrawItemBackground(TcxCanvas* ACanvas, const TRect& ARect, TcxCalendarElementState AState);
  TRect OfficeNavigationBarContentOffsets();
  TSize OfficeNavigationBarCustomizationButtonSize();
  TRect OfficeNavigationBarButtonItemContentOffsets();
  int OfficeNavigationBarButtonItemFontSize();
  TRect OfficeNavigationBarItemContentOffsets();
  int OfficeNavigationBarItemFontSize();

  // Track bar
  // Grows ARect by the pixel that the polygon fill leaves out.
  virtual void CorrectThumbRect(TcxCanvas* ACanvas, TRect& ARect, bool AHorizontal, TcxTrackBarTicksAlign ATicks);
  virtual void DrawTrackBarScaledTrack(TcxCanvas* ACanvas, const TRect& ARect, const TRect& ASelection,
                                       bool AShowSelection, bool AEnabled, bool AHorizontal, vcl::TColor ATrackColor,
                                       const TdxScaleFactor* AScaleFactor);
  virtual void DrawTrackBarTrackBounds(TcxCanvas* ACanvas, const TRect& ARect);
  virtual void DrawTrackBarScaledThumb(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState,
                                       bool AHorizontal, TcxTrackBarTicksAlign ATicks, vcl::TColor AThumbColor,
                                       const TdxScaleFactor* AScaleFactor);
  virtual void DrawTrackBarThumbBorderUpDown(TcxCanvas* ACanvas, const std::vector<TPoint>& ALightPolyLine,
                                             const std::vector<TPoint>& AShadowPolyLine,
                                             const std::vector<TPoint>& ADarkPolyLine);
  virtual void DrawTrackBarThumbBorderBoth(TcxCanvas* ACanvas, const TRect& ARect);
  virtual TSize TrackBarScaledThumbSize(bool AHorizontal, const TdxScaleFactor* AScaleFactor);
  virtual int TrackBarScaledTrackSize(const TdxScaleFactor* AScaleFactor);
  virtual vcl::TColor TrackBarTicksColor(bool AText);
  void DrawTrackBarTrack(TcxCanvas* ACanvas, const TRect& ARect, const TRect& ASelection, bool AShowSelection,
                         bool AEnabled, bool AHorizontal, vcl::TColor ATrackColor);
  void DrawTrackBarThumb(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState, bool AHorizontal,
                         TcxTrackBarTicksAlign ATicks, vcl::TColor AThumbColor);
  TSize TrackBarThumbSize(bool AHorizontal);
  int TrackBarTrackSize();

  // Range control
  virtual void DrawRangeControlScaledLeftThumb(TcxCanvas* ACanvas, const TRect& ARect, vcl::TColor AColor,
                                               TdxAlphaColor ABorderColor, const TdxScaleFactor* AScaleFactor);
  virtual void DrawRangeControlScaledRightThumb(TcxCanvas* ACanvas, const TRect& ARect, vcl::TColor AColor,
                                                TdxAlphaColor ABorderColor, const TdxScaleFactor* AScaleFactor);
  virtual void DrawRangeControlScaledRulerHeader(TcxCanvas* ACanvas, const TRect& ARect, bool AIsHot,
                                                 TdxAlphaColor AColor, TdxAlphaColor ABorderColor,
                                                 const TdxScaleFactor* AScaleFactor);
  virtual void DrawRangeControlScaledSizingGlyph(TcxCanvas* ACanvas, const TRect& ARect, TdxAlphaColor ABorderColor,
                                                 const TdxScaleFactor* AScaleFactor);
  virtual vcl::TColor GetRangeControlBackColor();
  virtual vcl::TColor GetRangeControlBorderColor();
  virtual vcl::TColor GetRangeControlDefaultElementColor();
  virtual vcl::TColor GetRangeControlElementForeColor();
  virtual TdxAlphaColor GetRangeControlElementsBorderColor();
  virtual vcl::TColor GetRangeControlLabelColor();
  virtual TdxAlphaColor GetRangeControlOutOfRangeColor();
  virtual vcl::TColor GetRangeControlRangePreviewColor();
  virtual TdxAlphaColor GetRangeControlRulerColor();
  virtual int GetRangeControlScaledScrollAreaHeight(const TdxScaleFactor* AScaleFactor);
  virtual TSize GetRangeControlScaledSizingGlyphSize(const TdxScaleFactor* AScaleFactor);
  virtual TSize GetRangeControlScaledThumbSize(const TdxScaleFactor* AScaleFactor);
  virtual vcl::TColor GetRangeControlScrollAreaColor();
  virtual TdxAlphaColor GetRangeControlSelectedRegionBackgroundColor();
  virtual TdxAlphaColor GetRangeControlSelectedRegionBorderColor();
  virtual vcl::TColor GetRangeControlViewPortPreviewColor();
  void DrawRangeControlLeftThumb(TcxCanvas* ACanvas, const TRect& ARect, vcl::TColor AColor,
                                 TdxAlphaColor ABorderColor);
  void DrawRangeControlRightThumb(TcxCanvas* ACanvas, const TRect& ARect, vcl::TColor AColor,
                                  TdxAlphaColor ABorderColor);
  void DrawRangeControlRulerHeader(TcxCanvas* ACanvas, const TRect& ARect, bool AIsHot, TdxAlphaColor AColor,
                                   TdxAlphaColor ABorderColor);
  void DrawRangeControlSizingGlyph(TcxCanvas* ACanvas, const TRect& ARect, TdxAlphaColor ABorderColor);
  int GetRangeControlScrollAreaHeight();
  TSize GetRangeControlSizingGlyphSize();
  TSize GetRangeControlThumbSize();

  // Range track bar
  virtual TSize RangeTrackBarScaledLeftThumbSize(bool AHorizontal, TcxTrackBarTicksAlign ATicks,
                                                 const TdxScaleFactor* AScaleFactor);
  virtual TSize RangeTrackBarScaledRightThumbSize(bool AHorizontal, TcxTrackBarTicksAlign ATicks,
                                                  const TdxScaleFactor* AScaleFactor);
  virtual void DrawRangeTrackBarScaledLeftThumb(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState,
                                                bool AHorizontal, TcxTrackBarTicksAlign ATicks,
                                                vcl::TColor AThumbColor, const TdxScaleFactor* AScaleFactor);
  virtual void DrawRangeTrackBarScaledRightThumb(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState,
                                                 bool AHorizontal, TcxTrackBarTicksAlign ATicks,
                                                 vcl::TColor AThumbColor, const TdxScaleFactor* AScaleFactor);
  TSize RangeTrackBarLeftThumbSize(bool AHorizontal, TcxTrackBarTicksAlign ATicks);
  TSize RangeTrackBarRightThumbSize(bool AHorizontal, TcxTrackBarTicksAlign ATicks);
  void DrawRangeTrackBarLeftThumb(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState, bool AHorizontal,
                                  TcxTrackBarTicksAlign ATicks, vcl::TColor AThumbColor);
  void DrawRangeTrackBarRightThumb(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState, bool AHorizontal,
                                   TcxTrackBarTicksAlign ATicks, vcl::TColor AThumbColor);

  // PDF viewer
  virtual IdxColorPalette* PDFViewerNavigationPaneButtonColorPalette(TcxButtonState AState);
  virtual TRect PDFViewerNavigationPaneButtonContentOffsets(const TdxScaleFactor* AScaleFactor);
  // How far a selected or pressed pane button overlaps its neighbours.
  virtual TPoint PDFViewerNavigationPaneButtonOverlay(const TdxScaleFactor* AScaleFactor);
  virtual TSize PDFViewerNavigationPaneButtonSize(const TdxScaleFactor* AScaleFactor);
  virtual TRect PDFViewerNavigationPaneContentOffsets(const TdxScaleFactor* AScaleFactor);
  virtual TRect PDFViewerNavigationPanePageCaptionContentOffsets(const TdxScaleFactor* AScaleFactor);
  virtual vcl::TColor PDFViewerNavigationPanePageCaptionTextColor();
  virtual TRect PDFViewerNavigationPanePageContentOffsets(const TdxScaleFactor* AScaleFactor);
  virtual TRect PDFViewerNavigationPanePageToolbarContentOffsets(const TdxScaleFactor* AScaleFactor);
  virtual vcl::TColor PDFViewerSelectionColor();
  virtual void PDFViewerDrawNavigationPaneBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                     const TdxScaleFactor* AScaleFactor);
  virtual void PDFViewerDrawNavigationPaneButton(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState,
                                                 const TdxScaleFactor* AScaleFactor, bool AMinimized, bool ASelected,
                                                 bool AIsFirst);
  virtual void PDFViewerDrawNavigationPanePageBackground(TcxCanvas* ACanvas, const TRect& ARect);
  virtual void PDFViewerDrawNavigationPanePageButton(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState,
                                                     const TdxScaleFactor* AScaleFactor);
  virtual void PDFViewerDrawNavigationPanePageCaptionBackground(TcxCanvas* ACanvas, const TRect& ARect);
  virtual void PDFViewerDrawNavigationPanePageToolbarBackground(TcxCanvas* ACanvas, const TRect& ARect);
  virtual void PDFViewerDrawFindPanelBackground(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders);
  virtual void PDFViewerDrawPageThumbnailPreviewBackground(TcxCanvas* ACanvas, const TRect& ARect);
  // ARect grown by the overlay when the button is selected or pressed.
  TRect PDFViewerNavigationPaneButtonRect(const TRect& ARect, TcxButtonState AState, bool ASelected,
                                          const TdxScaleFactor* AScaleFactor);

  // Spreadsheet
  virtual void DrawSpreadSheetScaledHeader(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                                           TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState,
                                           rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                           bool AMultiLine, bool AShowEndEllipsis, const rtl::String& AText,
                                           vcl::TFont* AFont, vcl::TColor ATextColor, vcl::TColor ABkColor,
                                           const TdxScaleFactor* AScaleFactor,
                                           TcxDrawBackgroundEvent AOnDrawBackground = {}, bool AIsLast = false,
                                           bool AIsGroup = false);
  virtual void DrawSpreadSheetScaledGroupExpandButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                      const TdxScaleFactor* AScaleFactor);
  virtual void DrawSpreadSheetScaledGroupExpandButtonGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                           bool AExpanded, const TdxScaleFactor* AScaleFactor,
                                                           vcl::TCustomImageList* ADefaultGlyphs);
  virtual vcl::TColor SpreadSheetContentColor();
  virtual vcl::TColor SpreadSheetContentTextColor();
  virtual vcl::TColor SpreadSheetFrozenPaneSeparatorColor();
  virtual vcl::TColor SpreadSheetGroupExpandButtonTextColor(TcxButtonState AState);
  virtual vcl::TColor SpreadSheetGroupLineColor();
  virtual TRect SpreadSheetScaledGroupExpandButtonContentOffsets(const TdxScaleFactor* AScaleFactor);
  virtual TSize SpreadSheetScaledGroupExpandButtonGlyphSize(const TdxScaleFactor* AScaleFactor);
  virtual TSize SpreadSheetScaledGroupLevelMarkSize(const TdxScaleFactor* AScaleFactor);
  virtual vcl::TColor SpreadSheetSelectionColor();
  virtual void DrawSpreadSheetFormulaBarScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                           bool AExpanded, const TdxScaleFactor* AScaleFactor);
  virtual void DrawSpreadSheetFormulaBarScaledSeparator(TcxCanvas* ACanvas, const TRect& R,
                                                        const TdxScaleFactor* AScaleFactor);
  // As thick as a vertical splitter.
  virtual int SpreadSheetFormulaBarGetScaledSeparatorSize(const TdxScaleFactor* AScaleFactor);
  void DrawSpreadSheetHeader(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                             TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState,
                             rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                             bool AShowEndEllipsis, const rtl::String& AText, vcl::TFont* AFont,
                             vcl::TColor ATextColor, vcl::TColor ABkColor,
                             TcxDrawBackgroundEvent AOnDrawBackground = {}, bool AIsLast = false,
                             bool AIsGroup = false);
  void DrawSpreadSheetGroupExpandButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState);
  void DrawSpreadSheetGroupExpandButtonGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                             bool AExpanded, vcl::TCustomImageList* ADefaultGlyphs);
  TRect SpreadSheetGroupExpandButtonContentOffsets();
  TSize SpreadSheetGroupExpandButtonGlyphSize();
  TSize SpreadSheetGroupLevelMarkSize();

  // Layout control
  virtual vcl::TColor LayoutControlEmptyAreaColor();
  virtual IdxColorPalette* LayoutControlGetColorPaletteForGroupButton(TcxButtonState AState);
  virtual IdxColorPalette* LayoutControlGetColorPaletteForItemCaption();
  virtual IdxColorPalette* LayoutControlGetColorPaletteForTabbedGroupCaption(TcxButtonState AState);
  virtual void DrawLayoutControlBackground(TcxCanvas* ACanvas, const TRect& R);

  // Scroll box
  virtual void DrawScrollBoxBackground(TcxCanvas* ACanvas, const TRect& R, vcl::TColor AColor);

  // Print preview
  virtual vcl::TColor PrintPreviewBackgroundTextColor();
  // Room for a two-pixel ring and a two-pixel shadow; not scaled.
  virtual TRect PrintPreviewPageBordersScaledWidth(const TdxScaleFactor* AScaleFactor);
  virtual void DrawPrintPreviewScaledBackground(TcxCanvas* ACanvas, const TRect& R,
                                                const TdxScaleFactor* AScaleFactor);
  virtual void DrawPrintPreviewPageScaledBackground(TcxCanvas* ACanvas, const TRect& ABorderRect,
                                                    const TRect& AContentRect, bool ASelected, bool ADrawContent,
                                                    const TdxScaleFactor* AScaleFactor);
  TRect PrintPreviewPageBordersWidth();
  void DrawPrintPreviewBackground(TcxCanvas* ACanvas, const TRect& R);
  void DrawPrintPreviewPageBackground(TcxCanvas* ACanvas, const TRect& ABorderRect, const TRect& AContentRect,
                                      bool ASelected, bool ADrawContent);

  // Calculator
  virtual vcl::TColor CalcEditButtonTextColor(TcxCalcButtonKind AButtonKind);

  // Customization form
  virtual vcl::TColor GetCustomizationFormListBackgroundColor();

  // Gallery
  virtual vcl::TColor GetGalleryGroupTextColor();
  virtual vcl::TColor GetGalleryItemCaptionTextColor(const TdxGalleryItemViewState& AState);
  virtual IdxColorPalette* GetGalleryItemColorPalette(const TdxGalleryItemViewState& AState);
  virtual vcl::TColor GetGalleryItemDescriptionTextColor(const TdxGalleryItemViewState& AState);
  virtual vcl::TColor GetGalleryItemImageFrameColor();
  virtual TRect GetGalleryScaledGroupHeaderContentOffsets(const TdxScaleFactor* AScaleFactor);
  virtual void DrawGalleryBackground(TcxCanvas* ACanvas, const TRect& ABounds);
  virtual void DrawGalleryGroupHeader(TcxCanvas* ACanvas, const TRect& ABounds);
  virtual bool DrawGalleryItemSelectionFirst();
  virtual void DrawGalleryItemSelection(TcxCanvas* ACanvas, const TRect& R, const TdxGalleryItemViewState& AViewState);
  virtual void DrawGalleryItemImageFrame(TcxCanvas* ACanvas, const TRect& R);
  virtual vcl::TColor GetColorGalleryGlyphFrameColor();
  virtual void DrawColorGalleryItemSelection(TcxCanvas* ACanvas, const TRect& R,
                                             const TdxGalleryItemViewState& AViewState);
  // At 96 dots per inch whatever the system resolution.
  TRect GetGalleryGroupHeaderContentOffsets();

  // Rating control
  virtual void DrawRatingControlScaledIndicator(TcxCanvas* ACanvas, const TRect& ABounds,
                                                TdxRatingControlIndicatorState AState,
                                                const TdxScaleFactor* AScaleFactor);
  virtual IdxColorPalette* GetRatingControlIndicatorColorPalette(TdxRatingControlIndicatorState AState);
  virtual TSize GetRatingControlScaledIndicatorSize(const TdxScaleFactor* AScaleFactor);
  void DrawRatingControlIndicator(TcxCanvas* ACanvas, const TRect& ABounds, TdxRatingControlIndicatorState AState);
  TSize GetRatingControlIndicatorSize();

  // Fixed group indicator
  virtual void DrawScaledFixedGroupIndicator(TcxCanvas* ACanvas, const TRect& ABounds,
                                             const TdxScaleFactor* AScaleFactor);
  virtual TSize GetScaledFixedGroupIndicatorSize(const TdxScaleFactor* AScaleFactor);
  void DrawFixedGroupIndicator(TcxCanvas* ACanvas, const TRect& ABounds);
  TSize GetFixedGroupIndicatorSize();

  // Wheel picker
  virtual vcl::TColor GetWheelPickerBorderItemColor(TcxButtonState AState);
  virtual IdxColorPalette* GetWheelPickerColorPalette(TcxButtonState AState);
  virtual vcl::TColor GetWheelPickerFillItemColor(TcxButtonState AState);
  virtual void DrawWheelPickerItem(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState);
  virtual void DrawWheelPickerItemBackground(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState);
  virtual void DrawWheelPickerItemBorder(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState);

  // Rich edit
  virtual vcl::TColor RichEditControlHeaderFooterLineColor();
  virtual vcl::TColor RichEditControlHeaderFooterMarkBackColor();
  virtual vcl::TColor RichEditControlHeaderFooterMarkTextColor();
  virtual vcl::TColor RichEditRulerControlColor();
  virtual vcl::TColor RichEditRulerActiveAreaColor();
  virtual vcl::TColor RichEditRulerDefaultTabColor();
  virtual vcl::TColor RichEditRulerInactiveAreaColor();
  virtual vcl::TColor RichEditRulerTabTypeToggleBorderColor();
  virtual vcl::TColor RichEditRulerTextColor();

 protected:
  friend class TcxLookAndFeelPaintersManager;
  // clHotLight from Windows Vista on, clHighlightText before.
  virtual vcl::TColor GetHighlightedTextColor();
  // The colour when AUseBitmap is False; the bitmap when it is True and
  // given; nothing when True without a bitmap.
  virtual void FillBackground(TcxCanvas* ACanvas, const TRect& R, vcl::TBitmap* ABitmap, vcl::TColor AColor,
                              bool AUseBitmap);
  // An odd-width downward triangle filled and outlined in AColor, centred.
  virtual void DrawDropDownArrow(TcxCanvas* ACanvas, const TRect& R, vcl::TColor AColor);
  // R narrowed to a band of ASize through its centre: left and right for a
  // vertical line, top and bottom otherwise.
  virtual TRect GetSeparatorBounds(const TRect& R, int ASize, bool AIsVertical);
  // Background through AOnDrawBackground or a fill, then the text: the
  // content of headers and footer cells.
  virtual void DrawContent(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                           TcxButtonState AState, rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                           bool AMultiLine, bool AShowEndEllipsis, const rtl::String& AText, vcl::TFont* AFont,
                           vcl::TColor ATextColor, vcl::TColor ABkColor, TcxDrawBackgroundEvent AOnDrawBackground);
  // The cell inset by its border, and that inset by the text margin.
  virtual TRect FooterCellContentBounds(const TRect& ABounds);
  virtual TRect FooterCellTextAreaBounds(const TRect& ABounds);
  virtual vcl::TColor GetFilterSmartTagColor(TcxFilterSmartTagState AState, bool AIsFilterActive);
  // Two-colour sorting triangles for the concrete painters' marks.
  void DrawSortingArrow(TcxCanvas* ACanvas, const TRect& R, const TdxScaleFactor* AScaleFactor,
                        bool AAscendingSorting, vcl::TColor AColor1, vcl::TColor AColor2);
  void DrawSummarySortingArrow(TcxCanvas* ACanvas, const TRect& R, const TdxScaleFactor* AScaleFactor,
                               bool AAscendingSorting, vcl::TColor AColor1, vcl::TColor AColor2);
  // The arrow of a line button: up or left for sbpLineUp, down or right
  // for the other parts.
  TcxArrowDirection GetScrollBarArrowDirection(bool AHorizontal, TcxScrollBarPart APart);
  // Draws one scroll-bar part; the concrete painters supply the look.
  virtual void DoDrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const TdxScaleFactor* AScaleFactor,
                                   TcxScrollBarPart APart, TcxButtonState AState, const TRect& R);
  // The body and arrow of a scheduler navigation button.
  virtual void DrawSchedulerNavigationButtonContent(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AArrowRect,
                                                    bool AIsNextButton, TcxButtonState AState,
                                                    bool AIsVertical = false);
  // Frees the cached glyphs and details; Destroy runs it.
  virtual void FreeCachedResources();
  // A new description: the painter's name, the built-in group and the
  // style icons of the module's resources (empty when missing).
  virtual TdxSkinDetails* CreatePainterDetails();
  virtual TdxSkinDetails* GetCachedPainterDetails();

  // The glyph strips of the module's resources, loaded on first use and
  // kept until FreeCachedResources.
  TdxSmartImage* BackButtonGlyph();
  TdxSmartImage* ClockFaceGlyph();
  TdxSmartImage* ClockGlassGlyph();
  TdxSmartImage* FixedGroupIndicatorGlyph();
  TdxSmartImage* MapPushpinGlyph();
  TdxSmartImage* NavigationBarCustomizationButtonGlyph();
  TdxSmartImage* RatingControlIndicatorGlyph();
  TdxSmartImage* SearchButtonGlyph();
  TdxSmartImage* SmartTagGlyph();

 private:
  TdxSmartImage* CachedGlyph(TdxSmartImage*& AField, const wchar_t* AResName, const wchar_t* AResType);
  // A range track bar's half thumb, drawn like a track-bar thumb.
  void DrawRangeTrackBarThumb(TcxCanvas* ACanvas, const TRect& ARect, bool AHorizontal, TcxTrackBarTicksAlign ATicks,
                              vcl::TColor AThumbColor, bool ALeftThumb);

  TdxSmartImage* FBackButton = nullptr;
  TdxSmartImage* FCalendarButtonGlyph = nullptr;
  TdxSmartImage* FClockFace = nullptr;
  TdxSmartImage* FClockGlass = nullptr;
  TdxSmartImage* FFixedGroupIndicator = nullptr;
  TdxSmartImage* FMapPushpin = nullptr;
  TdxSmartImage* FNavigationBarCustomizationButton = nullptr;
  TdxSmartImage* FRatingControlIndicator = nullptr;
  TdxSmartImage* FSearchButtonGlyph = nullptr;
  TdxSmartImage* FSmartTagGlyph = nullptr;
  TdxSkinDetails* FLookAndFeelPainterDetailsCache = nullptr;
};

using TcxCustomLookAndFeelPainterClass = rtl::ClassOf<TcxCustomLookAndFeelPainter>;

// ---------------------------------------------------------------------------
// The painters manager

struct IcxLookAndFeelPainterListener : rtl::IInterface {
  RTL_GUID(IcxLookAndFeelPainterListener, "{2284D497-2FBA-46CA-968B-9857A31F462B}")
  virtual void __stdcall PainterAdded(TcxCustomLookAndFeelPainter* APainter) = 0;
  // APainter is out of the list and still alive during the call.
  virtual void __stdcall PainterRemoved(TcxCustomLookAndFeelPainter* APainter) = 0;
};

// Owns every registered painter. The list is sorted by name with the
// locale's case-sensitive order; look-ups by name ignore the case of ASCII
// letters only, so two names that differ in case never both register.
class TcxLookAndFeelPaintersManager : public rtl::TObject {
  RTL_CLASS(TcxLookAndFeelPaintersManager, rtl::TObject)

 public:
  virtual void Create();
  void Destroy() override;

  // False for a name already registered: APainter is then freed at once and
  // the caller must not touch it again. Otherwise the root look and feel is
  // refreshed and the listeners hear of it, the newest first.
  bool Register(TcxCustomLookAndFeelPainter* APainter);
  // False for an absent name. The painter leaves the list, the root is
  // refreshed, the listeners hear of it (newest first) and the painter is
  // freed, also when a listener raises.
  bool Unregister(const rtl::String& AName);

  // The first painter of the style in name order; nil when none.
  TcxCustomLookAndFeelPainter* GetPainter(TcxLookAndFeelStyle AStyle) const;
  bool GetPainter(TcxLookAndFeelStyle AStyle, TcxCustomLookAndFeelPainter*& APainter) const;
  TcxCustomLookAndFeelPainter* GetPainter(const rtl::String& AName) const;
  bool GetPainter(const rtl::String& AName, TcxCustomLookAndFeelPainter*& APainter) const;

  // Not counted: a listener removes itself before it goes. Duplicates and
  // absent listeners are ignored.
  void AddListener(IcxLookAndFeelPainterListener* AListener);
  void RemoveListener(IcxLookAndFeelPainterListener* AListener);

  int GetCount() const { return FPainters->GetCount(); }
  TcxCustomLookAndFeelPainter* GetItem(int AIndex) const;

  // Every painter, in list order, frees its cached images.
  void ReleaseImageResources();

 private:
  void DoPainterChanged(TcxCustomLookAndFeelPainter* APainter, bool AAdded);

  std::vector<IcxLookAndFeelPainterListener*> FListeners;
  TcxObjectList* FPainters;
};

// The one manager; nil outside the painters unit's life, and look and feels
// then get no painter.
TcxLookAndFeelPaintersManager* cxLookAndFeelPaintersManager();

// ---------------------------------------------------------------------------
// System palette notifier

using TcxSystemPaletteChangedEvent = rtl::TMethod<void()>;

// A subscription to system colour changes, held for the notifier's life.
// Primary notifiers (shared colour caches) hear of a change before ordinary
// ones (look and feels, which repaint), and within each kind the newest
// first.
class TcxSystemPaletteChangedNotifier : public rtl::TObject {
  RTL_CLASS(TcxSystemPaletteChangedNotifier, rtl::TObject)

 public:
  virtual void Create(bool AIsPrimary = false);
  void Destroy() override;

  TcxSystemPaletteChangedEvent GetOnSystemPaletteChanged() const { return FOnSystemPaletteChanged; }
  void SetOnSystemPaletteChanged(TcxSystemPaletteChangedEvent AValue) { FOnSystemPaletteChanged = AValue; }

 protected:
  friend class TcxSystemPaletteChangedListener;
  // Fires OnSystemPaletteChanged.
  virtual void DoSystemPaletteChanged();

 private:
  bool FIsPrimary;
  TcxSystemPaletteChangedEvent FOnSystemPaletteChanged;
};

// The one hidden window behind every notifier; it exists exactly while a
// notifier does. Nil otherwise (for tests).
HWND cxSystemPaletteListenerHandle();

// ---------------------------------------------------------------------------
// Shared drawing resources

// Two 8 x 8 brush bitmaps of the classic scroll-bar track: face and
// highlight checked, and black and dark shadow checked (pressed). Nil
// outside the unit's start and finish steps.
vcl::TBitmap* cxScrollBarPatternBitmap(int AIndex);
// Creates the bitmaps when missing and repaints all their pixels from the
// current system colours.
void cxFillScrollBarPatternBitmaps();
// One cell of the platform's check-box bitmap, measured at start-up.
TSize cxCheckButtonSize();

// The indicator glyphs, one per indicator kind from the arrow on, then the
// summary-value sorting mark; made from the module's bitmaps on first use
// and freed by the unit's finish step.
vcl::TImageList* cxGetIndicatorImages();

// The arrow-shaped thumb of a track bar: the polygon that is filled and the
// light, shadow and dark polylines of its border.
struct TcxThumbShape {
  std::vector<TPoint> Polygon;
  std::vector<TPoint> Light;
  std::vector<TPoint> Shadow;
  std::vector<TPoint> Dark;
};
// The thumb in R pointing down (right) or up (left) for tbtaDown and
// tbtaUp; empty lists for tbtaBoth, which is a plain rectangle.
TcxThumbShape cxTrackBarThumbShape(const TRect& R, bool AHorizontal, TcxTrackBarTicksAlign ATicks);
// The left or right half thumb of a range track bar, one side slanted, in R
// as it is drawn (already pulled in by the caller).
TcxThumbShape cxRangeTrackBarThumbShape(const TRect& R, bool AHorizontal, TcxTrackBarTicksAlign ATicks,
                                        bool ALeftThumb);
// Draws what ADraw draws into R mirrored about R's vertical centre line,
// over the canvas pixels as they were.
void cxDrawMirrored(TcxCanvas* ACanvas, const TRect& R, const std::function<void(TcxCanvas*, const TRect&)>& ADraw);

// ---------------------------------------------------------------------------
// Radio-button image lists

// Ready-made radio buttons for every kind, state and flag combination of one
// screen resolution, built pixel by pixel from the shape the platform
// draws, so that they match its check-box metrics.
class TcxRadioButtonImageList : public rtl::TObject {
  RTL_CLASS(TcxRadioButtonImageList, rtl::TObject)

 public:
  virtual void Create(const TdxScaleFactor* AScaleFactor);
  void Destroy() override;

  // ABrushColor clDefault draws through the mask; any other colour fills
  // the square behind the circle.
  void Draw(TcxCanvas* ACanvas, int X, int Y, vcl::TColor ABrushColor, TcxLookAndFeelKind ALookAndFeelKind,
            TcxButtonState AButtonState, bool AChecked, bool AFocused, bool AIsDesigning);
  TSize GetSize() const { return FRadioButtonSize; }
  // Fills the list when it is empty: 128 combinations.
  void Prepare();
  // Recomputes the colours; the shape stays.
  void Reset();
  const TdxScaleFactor* GetScaleFactor() const { return FScaleFactor; }
  // A different factor rebuilds everything.
  void SetScaleFactor(const TdxScaleFactor* AValue);

  // For tests: the pixel class (0 outside, 1 and 2 outer ring, 3 and 4
  // inner ring, 5 body, 6 check dot) and the image of a combination.
  int PixelClass(int ARow, int AColumn) const { return FRadioButtonPattern[ARow][AColumn]; }
  int ImageIndex(TcxLookAndFeelKind AKind, TcxButtonState AState, bool AChecked, bool AFocused,
                 bool AIsDesigning) const;
  vcl::TImageList* GetList() const { return FList; }
  TRect GetCheckRect() const { return FRadioButtonCheckRect; }

 private:
  void Build();
  void Measure();
  void FindCheckRect();
  void BuildMask();
  void BuildPattern();

  vcl::TBitmap* FButtonMask;
  vcl::TImageList* FList;
  TRect FRadioButtonCheckRect;
  std::vector<int> FRadioButtonImageListIndexes;
  std::vector<std::vector<int>> FRadioButtonPattern;
  TRect FRadioButtonRect;
  TSize FRadioButtonSize;
  TdxScaleFactor* FScaleFactor;
};

class TcxRadioButtonImageListManager {
 public:
  TcxRadioButtonImageListManager() = delete;
  // The list of the factor's resolution (96 x numerator / denominator),
  // made on first request; two factors of equal resolution share one.
  static TcxRadioButtonImageList* Get(const TdxScaleFactor* AScaleFactor);
  // Every list recomputes its colours.
  static void Reset();
  static void Free();
};

// ---------------------------------------------------------------------------
// Corner drawing

using TcxDrawForCornerProc = rtl::TMethod<void(TcxCanvas* ACanvas, const TRect& R)>;
using TcxDrawForCornerByPainterProc =
    rtl::TMethod<void(TcxCanvas* ACanvas, const TRect& R, const TdxScaleFactor* AScaleFactor)>;

// AProc draws a picture meant for the bottom-right corner of R; these carry
// it to ACorner. AColor clNone keeps what is on the canvas under ARect as
// the background, any other colour fills it. AProc may be unassigned.
void cxDrawForCorner(TcxCanvas* ACanvas, const TRect& ARect, vcl::TColor AColor, TdxCorner ACorner,
                     TcxDrawForCornerProc AProc);
void cxDrawForCornerByPainter(TcxCanvas* ACanvas, const TRect& ARect, const TdxScaleFactor* AScaleFactor,
                              vcl::TColor AColor, TdxCorner ACorner, TcxDrawForCornerByPainterProc AProc);

// ---------------------------------------------------------------------------
// The classic painters
//
// Standard (two-pixel 3-D bevels in the system colours), Flat (one-pixel
// frames in the same colours), UltraFlat (single-colour frames, hot
// tracking and light selection fills) and Office11 (the Office 2003
// palette, built on UltraFlat; the skin painter's fallback). Each answers
// only what differs from its base.

// Creates the built-in painters and registers them, in the order Flat,
// Office11, Standard, UltraFlat, Native; the painters unit's start step
// runs it.
void cxRegisterBuiltInPainters();

// Drawing shared by the classic painters.
// A one-pixel plus (collapsed) or minus (expanded) on R's middle pixel, its
// arms at least 2 scaled pixels short of R's sides.
void cxDrawExpandSign(TcxCanvas* ACanvas, const TRect& R, bool AExpanded, vcl::TColor AColor,
                      const TdxScaleFactor* AScaleFactor);
// The checked track of a classic scroll bar; the darker pattern while
// pressed.
void cxFillScrollBarTrack(TcxCanvas* ACanvas, const TRect& R, bool APressed);
// The angles of a clock's hands at a time of day, in radians: 0 points to
// three o'clock and the angles grow clockwise on the screen.
struct TcxClockHandAngles {
  double Hour;
  double Minute;
  double Second;
};
TcxClockHandAngles cxClockHandAngles(rtl::TDateTime ATime);
// The arrows of a date navigator's month header, each in the square at its
// end of ABounds.
void cxDrawMonthHeaderArrows(TcxCanvas* ACanvas, TcxCustomLookAndFeelPainter* APainter, const TRect& ABounds,
                             TcxArrowDirections AArrows, vcl::TColor AColor);

class TcxStandardLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
  RTL_CLASS(TcxStandardLookAndFeelPainter, TcxCustomLookAndFeelPainter)

 public:
  rtl::String LookAndFeelName() override;
  TcxLookAndFeelStyle LookAndFeelStyle() override;

  int BorderSize() override;
  int ButtonBorderSize(TcxButtonState AState = TcxButtonState::cxbsNormal) override;
  int ScaledButtonTextOffset(const TdxScaleFactor* AScaleFactor) override;
  int ScaledButtonTextShift(const TdxScaleFactor* AScaleFactor) override;
  bool IsButtonHotTrack() override;
  int ScaledExpandButtonSize(const TdxScaleFactor* AScaleFactor) override;
  int HeaderBorderSize() override;
  int HeaderControlSectionBorderSize(TcxButtonState AState) override;
  TPoint ScaledSortingMarkSize(const TdxScaleFactor* AScaleFactor) override;
  TPoint ScaledSummarySortingMarkSize(const TdxScaleFactor* AScaleFactor) override;
  int FooterBorderSize() override;
  int FooterCellBorderSize() override;
  int FooterCellOffset() override;
  int TabBorderSize(bool AVertical) override;

  vcl::TColor DefaultSchedulerTimeRulerBorderColor() override;
  // The classic border colour, not the classic text colour.
  vcl::TColor DefaultSchedulerTimeRulerTextColor() override;
  vcl::TColor DefaultSchedulerViewContentColor() override;
  vcl::TColor DefaultSchedulerViewContentColorClassic() override;
  vcl::TColor ToggleSwitchToggleColor(bool AChecked) override;

  void DrawBorder(TcxCanvas* ACanvas, const TRect& R) override;
  void DrawButtonBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState) override;
  void DrawCheckBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState) override;
  void DrawScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded, const TdxScaleFactor* AScaleFactor,
                              vcl::TColor AColor = vcl::clDefault,
                              TcxExpandButtonState AState = TcxExpandButtonState::cebsNormal) override;
  // Borrowed from the registered flat painter.
  void DrawScaledGroupExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded, TcxButtonState AState,
                                   const TdxScaleFactor* AScaleFactor) override;
  void DrawHeaderBorder(TcxCanvas* ACanvas, const TRect& R, TcxNeighbors ANeighbors, TcxBorders ABorders) override;
  void DrawHeaderControlSectionBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders,
                                      TcxButtonState AState) override;
  void DrawScaledSortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                             const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledSummarySortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                                    const TdxScaleFactor* AScaleFactor) override;
  void DrawFooterBorder(TcxCanvas* ACanvas, const TRect& R) override;
  void DrawFooterCellBorder(TcxCanvas* ACanvas, const TRect& R) override;
  void DrawScaledFilterDropDownButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AIsFilterActive,
                                      const TdxScaleFactor* AScaleFactor) override;
  void DrawFindPanelBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders) override;
  void DrawTabBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorder ABorder, TcxBorders ABorders,
                     bool AVertical) override;
  void DrawTabsRoot(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders, bool AVertical) override;
  void DrawScaledMonthHeader(TcxCanvas* ACanvas, const TRect& ABounds, const rtl::String& AText,
                             TcxNeighbors ANeighbors, const TcxViewParams& AViewParams, TcxArrowDirections AArrows,
                             int ASideWidth, const TdxScaleFactor* AScaleFactor,
                             TcxDrawBackgroundEvent AOnDrawBackground = {}) override;
  void DrawSchedulerSplitterBorder(TcxCanvas* ACanvas, const TRect& R, const TcxViewParams& AViewParams,
                                   bool AIsHorizontal) override;
  void DrawGroupBoxFrame(TcxCanvas* ACanvas, const TRect& R, bool AEnabled, TcxGroupBoxCaptionPosition ACaptionPosition,
                         TcxBorders ABorders) override;
  void DrawTrackBarTrackBounds(TcxCanvas* ACanvas, const TRect& ARect) override;
  void DrawTrackBarThumbBorderUpDown(TcxCanvas* ACanvas, const std::vector<TPoint>& ALightPolyLine,
                                     const std::vector<TPoint>& AShadowPolyLine,
                                     const std::vector<TPoint>& ADarkPolyLine) override;
  void DrawTrackBarThumbBorderBoth(TcxCanvas* ACanvas, const TRect& ARect) override;
  void DrawBreadcrumbEditScaledButton(TcxCanvas* ACanvas, const TRect& ARect, TdxBreadcrumbEditButtonState AState,
                                      bool AIsFirst, bool AIsLast, const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledToggleSwitchState(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState, bool AChecked,
                                   const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledTokenBackground(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                 const TdxScaleFactor* AScaleFactor) override;

 protected:
  // The platform draws the line buttons' arrows; hot looks normal.
  void DoDrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const TdxScaleFactor* AScaleFactor,
                           TcxScrollBarPart APart, TcxButtonState AState, const TRect& R) override;
};

class TcxFlatLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
  RTL_CLASS(TcxFlatLookAndFeelPainter, TcxCustomLookAndFeelPainter)

 public:
  rtl::String LookAndFeelName() override;
  TcxLookAndFeelStyle LookAndFeelStyle() override;

  int BorderSize() override;
  int SeparatorSize() override;
  int ButtonBorderSize(TcxButtonState AState = TcxButtonState::cxbsNormal) override;
  int ScaledButtonTextOffset(const TdxScaleFactor* AScaleFactor) override;
  int ScaledButtonTextShift(const TdxScaleFactor* AScaleFactor) override;
  bool IsButtonHotTrack() override;
  int ScaledExpandButtonSize(const TdxScaleFactor* AScaleFactor) override;
  int HeaderBorderSize() override;
  TPoint ScaledSortingMarkSize(const TdxScaleFactor* AScaleFactor) override;
  TPoint ScaledSummarySortingMarkSize(const TdxScaleFactor* AScaleFactor) override;
  int FooterBorderSize() override;
  int FooterCellBorderSize() override;
  int FooterCellOffset() override;
  int TabBorderSize(bool AVertical) override;

  vcl::TColor DefaultSchedulerTimeRulerBorderColor() override;
  vcl::TColor DefaultSchedulerTimeRulerTextColor() override;
  vcl::TColor GetSplitterOuterColor(bool AHighlighted) override;
  vcl::TColor ToggleSwitchToggleColor(bool AChecked) override;

  void DrawBorder(TcxCanvas* ACanvas, const TRect& R) override;
  void DrawButtonBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState) override;
  void DrawCheckBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState) override;
  void DrawScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded, const TdxScaleFactor* AScaleFactor,
                              vcl::TColor AColor = vcl::clDefault,
                              TcxExpandButtonState AState = TcxExpandButtonState::cebsNormal) override;
  void DrawHeaderBorder(TcxCanvas* ACanvas, const TRect& R, TcxNeighbors ANeighbors, TcxBorders ABorders) override;
  void DrawHeaderControlSectionBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders,
                                      TcxButtonState AState) override;
  void DrawScaledSortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                             const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledSummarySortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                                    const TdxScaleFactor* AScaleFactor) override;
  void DrawFooterBorder(TcxCanvas* ACanvas, const TRect& R) override;
  void DrawFooterCellBorder(TcxCanvas* ACanvas, const TRect& R) override;
  void DrawScaledFilterDropDownButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AIsFilterActive,
                                      const TdxScaleFactor* AScaleFactor) override;
  void DrawFindPanelBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders) override;
  void DrawTabBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorder ABorder, TcxBorders ABorders,
                     bool AVertical) override;
  void DrawTabsRoot(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders, bool AVertical) override;
  void DrawSchedulerSplitterBorder(TcxCanvas* ACanvas, const TRect& R, const TcxViewParams& AViewParams,
                                   bool AIsHorizontal) override;
  // Fills R and takes the bottom line off the caller's R.
  void DrawDateNavigatorDateHeader(TcxCanvas* ACanvas, TRect& R) override;
  void DrawGroupBoxFrame(TcxCanvas* ACanvas, const TRect& R, bool AEnabled, TcxGroupBoxCaptionPosition ACaptionPosition,
                         TcxBorders ABorders) override;
  void DrawTrackBarTrackBounds(TcxCanvas* ACanvas, const TRect& ARect) override;
  // The shadow polyline is not drawn.
  void DrawTrackBarThumbBorderUpDown(TcxCanvas* ACanvas, const std::vector<TPoint>& ALightPolyLine,
                                     const std::vector<TPoint>& AShadowPolyLine,
                                     const std::vector<TPoint>& ADarkPolyLine) override;
  void DrawTrackBarThumbBorderBoth(TcxCanvas* ACanvas, const TRect& ARect) override;
  void DrawScaledToggleSwitchState(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState, bool AChecked,
                                   const TdxScaleFactor* AScaleFactor) override;

 protected:
  // Generic buttons with the arrow inside their border; hot looks normal.
  void DoDrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const TdxScaleFactor* AScaleFactor,
                           TcxScrollBarPart APart, TcxButtonState AState, const TRect& R) override;
};

class TcxUltraFlatLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
  RTL_CLASS(TcxUltraFlatLookAndFeelPainter, TcxCustomLookAndFeelPainter)

 public:
  rtl::String LookAndFeelName() override;
  TcxLookAndFeelStyle LookAndFeelStyle() override;

  int BorderSize() override;
  int ButtonBorderSize(TcxButtonState AState = TcxButtonState::cxbsNormal) override;
  int ScaledButtonTextOffset(const TdxScaleFactor* AScaleFactor) override;
  // Pressed text does not move.
  int ScaledButtonTextShift(const TdxScaleFactor* AScaleFactor) override;
  bool IsButtonHotTrack() override;
  vcl::TColor ButtonColor(TcxButtonState AState) override;
  vcl::TColor ButtonSymbolColor(TcxButtonState AState, vcl::TColor ADefaultColor = vcl::clDefault) override;
  // Symbols never look hot or pressed.
  TcxButtonState ButtonSymbolState(TcxButtonState AState) override;
  TRect ScaledButtonFocusRect(TcxCanvas* ACanvas, const TRect& R, const TdxScaleFactor* AScaleFactor) override;
  int ScaledExpandButtonSize(const TdxScaleFactor* AScaleFactor) override;
  int HeaderBorderSize() override;
  // A neighbour on the left or above draws that side.
  TcxBorders HeaderBorders(TcxNeighbors ANeighbors) override;
  TPoint ScaledSortingMarkSize(const TdxScaleFactor* AScaleFactor) override;
  TPoint ScaledSummarySortingMarkSize(const TdxScaleFactor* AScaleFactor) override;
  int GridBordersOverlapSize() override;
  TcxBorders FooterBorders() override;
  int FooterBorderSize() override;
  int FooterCellBorderSize() override;
  int FooterCellOffset() override;
  TPoint ScaledFilterCloseButtonSize(const TdxScaleFactor* AScaleFactor) override;
  int TabBorderSize(bool AVertical) override;
  bool NavigatorBorderOverlap() override;
  int NavigatorBorderSize() override;
  TSize GetScaledSplitterSize(bool AHorizontal, const TdxScaleFactor* AScaleFactor) override;
  int BreadcrumbEditScaledButtonAreaSeparatorSize(const TdxScaleFactor* AScaleFactor) override;
  TRect BreadcrumbEditScaledButtonContentOffsets(bool AIsFirst, bool AIsLast,
                                                 const TdxScaleFactor* AScaleFactor) override;
  TSize GetBevelMinimalShapeSize(TdxBevelShape AShape) override;
  void GetBevelShapeColors(vcl::TColor& AColor1, vcl::TColor& AColor2) override;

  vcl::TColor DefaultSchedulerBorderColor() override;
  vcl::TColor DefaultSchedulerTimeRulerBorderColor() override;
  vcl::TColor DefaultSchedulerTimeRulerTextColor() override;
  vcl::TColor RadioButtonBodyColor(TcxButtonState AState) override;
  vcl::TColor DropDownListBoxItemTextColor(bool ASelected) override;
  vcl::TColor GetSplitterOuterColor(bool AHighlighted) override;
  vcl::TColor ToggleSwitchToggleColor(bool AChecked) override;

  virtual vcl::TColor BorderHighlightColor();

  void DrawBorder(TcxCanvas* ACanvas, const TRect& R) override;
  void DoDrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool AIsVertical) override;
  void DrawButtonBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState) override;
  void DrawScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded, const TdxScaleFactor* AScaleFactor,
                              vcl::TColor AColor = vcl::clDefault,
                              TcxExpandButtonState AState = TcxExpandButtonState::cebsNormal) override;
  void DrawCheckBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState) override;
  void DrawHeaderBorder(TcxCanvas* ACanvas, const TRect& R, TcxNeighbors ANeighbors, TcxBorders ABorders) override;
  void DrawScaledHeaderEx(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                          TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState,
                          rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                          bool AShowEndEllipsis, const rtl::String& AText, vcl::TFont* AFont, vcl::TColor ATextColor,
                          vcl::TColor ABkColor, const TdxScaleFactor* AScaleFactor,
                          TcxDrawBackgroundEvent AOnDrawBackground = {}) override;
  void DrawHeaderControlSectionBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders,
                                      TcxButtonState AState) override;
  void DrawHeaderControlSectionContent(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                                       TcxButtonState AState, rtl::TAlignment AAlignmentHorz,
                                       TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
                                       const rtl::String& AText, vcl::TFont* AFont, vcl::TColor ATextColor,
                                       vcl::TColor ABkColor) override;
  void DrawScaledSortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                             const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledSummarySortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                                    const TdxScaleFactor* AScaleFactor) override;
  void DrawFooterBorder(TcxCanvas* ACanvas, const TRect& R) override;
  void DrawFooterBorderEx(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders) override;
  void DrawFooterCellBorder(TcxCanvas* ACanvas, const TRect& R) override;
  void DrawScaledFilterDropDownButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AIsFilterActive,
                                      const TdxScaleFactor* AScaleFactor) override;
  void DrawTabBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorder ABorder, TcxBorders ABorders,
                     bool AVertical) override;
  void DrawTabsRoot(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders, bool AVertical) override;
  void DrawSchedulerScaledNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                          const TdxScaleFactor* AScaleFactor) override;
  void DrawSchedulerSplitterBorder(TcxCanvas* ACanvas, const TRect& R, const TcxViewParams& AViewParams,
                                   bool AIsHorizontal) override;
  void DrawGroupBoxFrame(TcxCanvas* ACanvas, const TRect& R, bool AEnabled, TcxGroupBoxCaptionPosition ACaptionPosition,
                         TcxBorders ABorders) override;
  void DrawTrackBarTrackBounds(TcxCanvas* ACanvas, const TRect& ARect) override;
  void DrawTrackBarThumbBorderUpDown(TcxCanvas* ACanvas, const std::vector<TPoint>& ALightPolyLine,
                                     const std::vector<TPoint>& AShadowPolyLine,
                                     const std::vector<TPoint>& ADarkPolyLine) override;
  void DrawTrackBarThumbBorderBoth(TcxCanvas* ACanvas, const TRect& ARect) override;
  void DrawPrintPreviewScaledBackground(TcxCanvas* ACanvas, const TRect& R,
                                        const TdxScaleFactor* AScaleFactor) override;
  void DrawNavigatorScaledButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                 vcl::TColor ABackgroundColor, const TdxScaleFactor* AScaleFactor) override;
  void DrawNavigatorBorder(TcxCanvas* ACanvas, const TRect& R, bool ASelected) override;
  void DrawDropDownListBoxBackground(TcxCanvas* ACanvas, const TRect& ARect, bool AHasBorders) override;
  void DrawDropDownListBoxScaledSelection(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AGutterRect,
                                          const TdxScaleFactor* AScaleFactor) override;
  void DrawDropDownListBoxScaledSeparator(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AGutterRect,
                                          const TdxScaleFactor* AScaleFactor) override;
  void DrawDropDownListBoxScaledGutterBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                 const TdxScaleFactor* AScaleFactor) override;
  void DrawBreadcrumbEditBorders(TcxCanvas* ACanvas, const TRect& ARect, TcxBorders ABorders,
                                 TdxBreadcrumbEditState AState) override;
  void DrawBreadcrumbEditScaledButtonAreaSeparator(TcxCanvas* ACanvas, const TRect& ARect,
                                                   TdxBreadcrumbEditState AState,
                                                   const TdxScaleFactor* AScaleFactor) override;
  void DrawBreadcrumbEditScaledButton(TcxCanvas* ACanvas, const TRect& ARect, TdxBreadcrumbEditButtonState AState,
                                      bool AIsFirst, bool AIsLast, const TdxScaleFactor* AScaleFactor) override;
  void DrawBreadcrumbEditScaledDropDownButton(TcxCanvas* ACanvas, const TRect& ARect,
                                              TdxBreadcrumbEditButtonState AState, bool AIsInEditor,
                                              const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledToggleSwitchState(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState, bool AChecked,
                                   const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledToggleSwitchThumb(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                   const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledTokenBackground(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                 const TdxScaleFactor* AScaleFactor) override;

 protected:
  // The frame colour of a state: shadow when normal, highlight otherwise.
  virtual vcl::TColor StateBorderColor(TcxButtonState AState);
  // A breadcrumb button's body in ButtonColor and its frame on ABorders.
  virtual void DrawBreadcrumbEditButtonFrame(TcxCanvas* ACanvas, const TRect& ARect, TcxBorders ABorders,
                                             TdxBreadcrumbEditButtonState AState);
  virtual vcl::TColor TabBorderColor();
  virtual vcl::TColor TabBorderDarkColor();

  void DoDrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const TdxScaleFactor* AScaleFactor,
                           TcxScrollBarPart APart, TcxButtonState AState, const TRect& R) override;
  void DrawSchedulerNavigationButtonContent(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AArrowRect,
                                            bool AIsNextButton, TcxButtonState AState,
                                            bool AIsVertical = false) override;
};

// The Office 2003 look: palette colours that follow the Windows colour
// scheme (system-colour mixtures without one), flat headers with a short
// gradient at the bottom, gradient hot underlines. Scroll bars, scheduler
// navigator buttons and, under visual styles, group boxes are borrowed from
// the registered native painter, looked up at each call.
class TcxOffice11LookAndFeelPainter : public TcxUltraFlatLookAndFeelPainter {
  RTL_CLASS(TcxOffice11LookAndFeelPainter, TcxUltraFlatLookAndFeelPainter)

 public:
  rtl::String LookAndFeelName() override;
  TcxLookAndFeelStyle LookAndFeelStyle() override;
  bool NeedRedrawOnResize() override;

  int SeparatorSize() override;
  int ScaledExpandButtonSize(const TdxScaleFactor* AScaleFactor) override;
  int ScaledSmallExpandButtonSize(const TdxScaleFactor* AScaleFactor) override;
  bool DrawExpandButtonFirst() override;
  // All four sides, whatever the neighbours.
  TcxBorders HeaderBorders(TcxNeighbors ANeighbors) override;
  int HeaderBorderSize() override;
  bool IsHeaderHotTrack() override;
  int GridBordersOverlapSize() override;
  int NavigatorBorderSize() override;
  TSize GetBevelMinimalShapeSize(TdxBevelShape AShape) override;
  int ScaledScrollBarMinimalThumbSize(bool AVertical, const TdxScaleFactor* AScaleFactor) override;

  vcl::TColor DefaultControlColor() override;
  vcl::TColor DefaultControlTextColor() override;
  vcl::TColor DefaultDateNavigatorHeaderColor() override;
  vcl::TColor DefaultDateNavigatorSelectionColor() override;
  vcl::TColor DefaultDateNavigatorSelectionTextColor() override;
  vcl::TColor DefaultFilterBoxColor() override;
  vcl::TColor DefaultFilterBoxTextColor() override;
  vcl::TColor DefaultFooterColor() override;
  vcl::TColor DefaultFooterTextColor() override;
  vcl::TColor DefaultGroupColor() override;
  vcl::TColor DefaultGroupByBoxColor() override;
  vcl::TColor DefaultGroupByBoxTextColor() override;
  vcl::TColor DefaultHeaderColor() override;
  vcl::TColor DefaultHeaderBackgroundColor() override;
  vcl::TColor DefaultSchedulerBorderColor() override;
  vcl::TColor DefaultSchedulerControlColor() override;
  vcl::TColor DefaultSchedulerDayHeaderColor() override;
  vcl::TColor DefaultTabColor() override;
  vcl::TColor DefaultTabsBackgroundColor() override;
  vcl::TColor DefaultTimeGridMinorScaleColor() override;
  vcl::TColor DefaultTimeGridSelectionBarColor() override;
  vcl::TColor RichEditControlHeaderFooterLineColor() override;
  vcl::TColor RichEditControlHeaderFooterMarkBackColor() override;
  vcl::TColor RichEditRulerInactiveAreaColor() override;
  vcl::TColor RichEditRulerTabTypeToggleBorderColor() override;
  void GetBevelShapeColors(vcl::TColor& AColor1, vcl::TColor& AColor2) override;
  vcl::TColor ButtonColor(TcxButtonState AState) override;
  vcl::TColor ButtonSymbolColor(TcxButtonState AState, vcl::TColor ADefaultColor = vcl::clDefault) override;
  vcl::TColor CheckButtonColor(TcxButtonState AState, TcxCheckBoxState ACheckState) override;
  vcl::TColor RadioButtonBodyColor(TcxButtonState AState) override;
  vcl::TColor FooterSeparatorColor() override;
  vcl::TColor GetSplitterInnerColor(bool AHighlighted) override;
  vcl::TColor GetSplitterOuterColor(bool AHighlighted) override;
  vcl::TColor BreadcrumbEditBackgroundColor(TdxBreadcrumbEditState AState) override;
  vcl::TColor GroupBoxTextColor(bool AEnabled, TcxGroupBoxCaptionPosition ACaptionPosition) override;
  vcl::TColor BorderHighlightColor() override;

  // The header colours: a flat top and a short gradient to the bottom
  // colour, between light and dark edges.
  virtual vcl::TColor HeaderBottomColor();
  virtual vcl::TColor HeaderEdgeDarkColor();
  virtual vcl::TColor HeaderEdgeLightColor();
  virtual vcl::TColor HeaderTopColor();

  void DrawBorder(TcxCanvas* ACanvas, const TRect& R) override;
  void DoDrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool AIsVertical) override;
  void DrawButtonBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState) override;
  // The palette's bitmap, its corners blended into the background.
  void DrawScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded, const TdxScaleFactor* AScaleFactor,
                              vcl::TColor AColor = vcl::clDefault,
                              TcxExpandButtonState AState = TcxExpandButtonState::cebsNormal) override;
  // As the expand button; the border colour is not used.
  void DrawScaledSmallExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded, vcl::TColor ABorderColor,
                                   const TdxScaleFactor* AScaleFactor, vcl::TColor AColor = vcl::clDefault) override;
  // The base header at 1:1, without background event, not a group.
  void DrawScaledHeader(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                        TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState,
                        rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                        bool AShowEndEllipsis, const rtl::String& AText, vcl::TFont* AFont, vcl::TColor ATextColor,
                        vcl::TColor ABkColor, const TdxScaleFactor* AScaleFactor,
                        TcxDrawBackgroundEvent AOnDrawBackground = {}, bool AIsLast = false,
                        bool AIsGroup = false) override;
  void DrawHeaderBorder(TcxCanvas* ACanvas, const TRect& R, TcxNeighbors ANeighbors, TcxBorders ABorders) override;
  void DrawScaledHeaderControlSection(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                                      TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState,
                                      rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                      bool AMultiLine, bool AShowEndEllipsis, const rtl::String& AText,
                                      vcl::TFont* AFont, vcl::TColor ATextColor, vcl::TColor ABkColor,
                                      const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledSortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                             const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledSummarySortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                                    const TdxScaleFactor* AScaleFactor) override;
  void LayoutViewDrawRecordCaption(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextRect,
                                   TcxGroupBoxCaptionPosition APosition, TcxButtonState AState,
                                   vcl::TColor AColor = vcl::clDefault, vcl::TBitmap* ABitmap = nullptr) override;
  void DoDrawSizeGrip(TcxCanvas* ACanvas, const TRect& ARect, const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledMonthHeader(TcxCanvas* ACanvas, const TRect& ABounds, const rtl::String& AText,
                             TcxNeighbors ANeighbors, const TcxViewParams& AViewParams, TcxArrowDirections AArrows,
                             int ASideWidth, const TdxScaleFactor* AScaleFactor,
                             TcxDrawBackgroundEvent AOnDrawBackground = {}) override;
  void DrawSchedulerScaledNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                          const TdxScaleFactor* AScaleFactor) override;
  void DrawSchedulerBorder(TcxCanvas* ACanvas, const TRect& R) override;
  void DrawScaledClock(TcxCanvas* ACanvas, const TRect& ARect, rtl::TDateTime ADateTime,
                       vcl::TColor ABackgroundColor, const TdxScaleFactor* AScaleFactor) override;
  // Fills R; R itself is not changed.
  void DrawDateNavigatorDateHeader(TcxCanvas* ACanvas, TRect& R) override;
  void DrawGroupBoxFrame(TcxCanvas* ACanvas, const TRect& R, bool AEnabled, TcxGroupBoxCaptionPosition ACaptionPosition,
                         TcxBorders ABorders) override;
  void DrawTrackBarTrackBounds(TcxCanvas* ACanvas, const TRect& ARect) override;
  void DrawTrackBarThumbBorderUpDown(TcxCanvas* ACanvas, const std::vector<TPoint>& ALightPolyLine,
                                     const std::vector<TPoint>& AShadowPolyLine,
                                     const std::vector<TPoint>& ADarkPolyLine) override;
  void DrawTrackBarThumbBorderBoth(TcxCanvas* ACanvas, const TRect& ARect) override;
  // AColorFrom clDefault paints the parent's background; AColorTo clDefault
  // fills with AColorFrom; otherwise a vertical gradient.
  void DrawPanelBackground(TcxCanvas* ACanvas, vcl::TWinControl* AControl, const TRect& ABounds,
                           vcl::TColor AColorFrom = vcl::clDefault, vcl::TColor AColorTo = vcl::clDefault) override;
  void DrawLayoutControlBackground(TcxCanvas* ACanvas, const TRect& R) override;
  void DrawBreadcrumbEditBorders(TcxCanvas* ACanvas, const TRect& ARect, TcxBorders ABorders,
                                 TdxBreadcrumbEditState AState) override;
  void DrawDropDownListBoxBackground(TcxCanvas* ACanvas, const TRect& ARect, bool AHasBorders) override;
  void DrawDropDownListBoxScaledSelection(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AGutterRect,
                                          const TdxScaleFactor* AScaleFactor) override;
  void DrawDropDownListBoxScaledSeparator(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AGutterRect,
                                          const TdxScaleFactor* AScaleFactor) override;
  void DrawDropDownListBoxScaledGutterBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                 const TdxScaleFactor* AScaleFactor) override;
  void DrawAlertWindowBackground(TcxCanvas* ACanvas, const TRect& ABounds,
                                 const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledTokenBackground(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                 const TdxScaleFactor* AScaleFactor) override;

 protected:
  vcl::TColor GetHighlightedTextColor() override;
  vcl::TColor StateBorderColor(TcxButtonState AState) override;
  void DrawBreadcrumbEditButtonFrame(TcxCanvas* ACanvas, const TRect& ARect, TcxBorders ABorders,
                                     TdxBreadcrumbEditButtonState AState) override;
  vcl::TColor TabBorderColor() override;
  // The flat top colour and a gradient over the bottom pixels; the given
  // background colour is not used.
  void DrawContent(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, TcxButtonState AState,
                   rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                   bool AShowEndEllipsis, const rtl::String& AText, vcl::TFont* AFont, vcl::TColor ATextColor,
                   vcl::TColor ABkColor, TcxDrawBackgroundEvent AOnDrawBackground) override;
  // DrawContent with a choice of a solid fill over the whole bounds.
  void DrawHeaderContent(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                         TcxButtonState AState, rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                         bool AMultiLine, bool AShowEndEllipsis, const rtl::String& AText, vcl::TFont* AFont,
                         vcl::TColor ATextColor, TcxDrawBackgroundEvent AOnDrawBackground, bool ASolid);
  void DoDrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const TdxScaleFactor* AScaleFactor,
                           TcxScrollBarPart APart, TcxButtonState AState, const TRect& R) override;
  void DrawSchedulerNavigationButtonContent(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AArrowRect,
                                            bool AIsNextButton, TcxButtonState AState,
                                            bool AIsVertical = false) override;
};

// The native look: every element drawn by the platform's visual styles
// through the core's cached theme handles, asked for afresh at each call so
// that a theme change shows at the next paint. Where the platform gives no
// theme for an element (visual styles off, or a class the theme lacks) the
// element is drawn as by the standard painter, including the few elements
// that have no look of their own without a theme.
class TcxWinXPLookAndFeelPainter : public TcxStandardLookAndFeelPainter {
  RTL_CLASS(TcxWinXPLookAndFeelPainter, TcxStandardLookAndFeelPainter)

 public:
  // Loads the zoom glyphs.
  void AfterConstruction() override;
  void Destroy() override;

  // A theme part drawn at a scale factor: straight on DC when the factor is
  // the system's and no forcing is asked; otherwise rendered at the theme's
  // size (AUseThemePartSize) or at R's size at the system factor, with
  // black made transparent, and stretched into R.
  static void DrawScaledThemeBackground(HTHEME ATheme, HDC DC, int APartId, int AStateId, const TRect& R,
                                        const TdxScaleFactor* AScaleFactor, bool AForceScale = false,
                                        bool AUseThemePartSize = true);

  rtl::String LookAndFeelName() override;
  TcxLookAndFeelStyle LookAndFeelStyle() override;
  bool NeedRedrawOnResize() override;

  // Metrics
  int SeparatorSize() override;
  int BorderSize() override;
  int ButtonBorderSize(TcxButtonState AState = TcxButtonState::cxbsNormal) override;
  int ScaledButtonTextOffset(const TdxScaleFactor* AScaleFactor) override;
  int ScaledButtonTextShift(const TdxScaleFactor* AScaleFactor) override;
  bool IsButtonHotTrack() override;
  bool IsHeaderHotTrack() override;
  bool DrawExpandButtonFirst() override;
  bool FooterDrawCellsFirst() override;
  int CheckBorderSize() override;
  int HeaderBorderSize() override;
  int HeaderControlSectionBorderSize(TcxButtonState AState) override;
  TRect HeaderControlSectionContentBounds(const TRect& ABounds, TcxButtonState AState) override;
  TPoint ScaledSortingMarkSize(const TdxScaleFactor* AScaleFactor) override;
  int FooterBorderSize() override;
  int FooterCellBorderSize() override;
  int FooterCellOffset() override;
  int TabBorderSize(bool AVertical) override;
  bool IsDrawTabImplemented(bool AVertical) override;
  bool IsTabHotTrack(bool AVertical) override;
  int GetEditPopupWindowBorderWidth(TcxEditPopupBorderStyle AStyle) override;
  int GetEditPopupWindowClientEdgeWidth(TcxEditPopupBorderStyle AStyle) override;
  TRect SchedulerEventProgressOffsets() override;
  TPoint NavigatorButtonPressedGlyphOffset() override;
  TSize NavigatorScaledButtonMinSize(const TdxScaleFactor* AScaleFactor) override;
  int AlertWindowCornerRadius() override;
  TSize GetBevelMinimalShapeSize(TdxBevelShape AShape) override;
  TRect BreadcrumbEditBordersSize() override;
  TRect BreadcrumbEditScaledProgressChunkPadding(const TdxScaleFactor* AScaleFactor) override;
  bool BreadcrumbEditIsFadingSupports() override;
  vcl::TColor BreadcrumbEditBackgroundColor(TdxBreadcrumbEditState AState) override;
  bool DrawGalleryItemSelectionFirst() override;
  TSize ScaledClockSize(const TdxScaleFactor* AScaleFactor) override;

  // Sizes read from the theme
  int ScaledExpandButtonSize(const TdxScaleFactor* AScaleFactor) override;
  int ScaledSmallExpandButtonSize(const TdxScaleFactor* AScaleFactor) override;
  int ScaledGroupExpandButtonSize(const TdxScaleFactor* AScaleFactor) override;
  TSize ScaledCheckButtonSize(const TdxScaleFactor* AScaleFactor) override;
  TSize ScaledRadioButtonSize(const TdxScaleFactor* AScaleFactor) override;
  TPoint ScaledFilterActivateButtonSize(const TdxScaleFactor* AScaleFactor) override;
  TPoint ScaledFilterCloseButtonSize(const TdxScaleFactor* AScaleFactor) override;
  TSize DoGetSmallCloseButtonSize() override;
  TSize ScaledSizeGripSize(const TdxScaleFactor* AScaleFactor) override;
  int ScaledScrollBarMinimalThumbSize(bool AVertical, const TdxScaleFactor* AScaleFactor) override;
  TSize GetScaledCommandLinkGlyphSize(const TdxScaleFactor* AScaleFactor) override;
  TRect GetScaledCommandLinkMargins(const TdxScaleFactor* AScaleFactor) override;
  TSize GetScaledZoomInButtonSize(const TdxScaleFactor* AScaleFactor) override;
  TSize GetScaledZoomOutButtonSize(const TdxScaleFactor* AScaleFactor) override;
  TSize GetScaledBackButtonSize(const TdxScaleFactor* AScaleFactor) override;
  TSize BreadcrumbEditScaledProgressChunkOverlaySize(const TdxScaleFactor* AScaleFactor) override;
  TRect BreadcrumbEditScaledButtonContentOffsets(bool AIsFirst, bool AIsLast,
                                                 const TdxScaleFactor* AScaleFactor) override;
  int DropDownListBoxScaledSeparatorSize(const TdxScaleFactor* AScaleFactor) override;

  // Colours
  vcl::TColor DefaultSchedulerBorderColor() override;
  vcl::TColor DefaultSchedulerViewContentColor() override;
  vcl::TColor DefaultSchedulerViewContentColorClassic() override;
  vcl::TColor ButtonColor(TcxButtonState AState) override;
  vcl::TColor ButtonSymbolColor(TcxButtonState AState, vcl::TColor ADefaultColor = vcl::clDefault) override;
  vcl::TColor DefaultCommandLinkTextColor(TcxButtonState AState, vcl::TColor ADefaultColor = vcl::clDefault) override;
  vcl::TColor DefaultLayoutViewContentTextColor(TcxButtonState AState) override;
  vcl::TColor DefaultLayoutViewCaptionTextColor(TcxGroupBoxCaptionPosition ACaptionPosition,
                                                TcxButtonState AState) override;
  vcl::TColor WinExplorerViewRecordTextColor(TcxButtonState AState) override;
  vcl::TColor GroupBoxTextColor(bool AEnabled, TcxGroupBoxCaptionPosition ACaptionPosition) override;
  vcl::TColor GetHintBorderColor() override;
  vcl::TColor ScreenTipGetDescriptionTextColor() override;
  vcl::TColor ScreenTipGetTitleTextColor() override;
  vcl::TColor DropDownListBoxItemTextColor(bool ASelected) override;
  vcl::TColor GetModernCalendarHeaderTextColor() override;
  vcl::TColor ToggleSwitchToggleColor(bool AChecked) override;

  // Buttons and small glyphs
  void DrawScaledArrow(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, TcxArrowDirection AArrowDirection,
                       const TdxScaleFactor* AScaleFactor, bool ADrawBorder = true) override;
  void DrawScaledArrowBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                             const TdxScaleFactor* AScaleFactor) override;
  void DrawBorder(TcxCanvas* ACanvas, const TRect& R) override;
  void DoDrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool AIsVertical) override;
  TRect ScaledButtonFocusRect(TcxCanvas* ACanvas, const TRect& R, const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledButton(TcxCanvas* ACanvas, const TRect& R, const rtl::String& ACaption, TcxButtonState AState,
                        const TdxScaleFactor* AScaleFactor, bool ADrawBorder = true,
                        vcl::TColor AColor = vcl::clDefault, vcl::TColor ATextColor = vcl::clDefault,
                        bool AWordWrap = false, bool AIsToolButton = false,
                        TcxButtonPart APart = TcxButtonPart::cxbpButton) override;
  void DrawScaledSmallButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                             const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledCommandLinkBackground(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                       const TdxScaleFactor* AScaleFactor,
                                       vcl::TColor AColor = vcl::clDefault) override;
  void DrawScaledCommandLinkGlyph(TcxCanvas* ACanvas, const TPoint& AGlyphPos, TcxButtonState AState,
                                  const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded, const TdxScaleFactor* AScaleFactor,
                              vcl::TColor AColor = vcl::clDefault,
                              TcxExpandButtonState AState = TcxExpandButtonState::cebsNormal) override;
  void DrawScaledSmallExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded, vcl::TColor ABorderColor,
                                   const TdxScaleFactor* AScaleFactor, vcl::TColor AColor = vcl::clDefault) override;
  void DrawScaledGroupExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded, TcxButtonState AState,
                                   const TdxScaleFactor* AScaleFactor) override;
  bool IsPointOverGroupExpandButton(const TRect& R, const TPoint& P) override;
  void DrawScaledCheck(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, TcxCheckBoxState ACheckState,
                       vcl::TColor AColor, const TdxScaleFactor* AScaleFactor) override;
  using TcxStandardLookAndFeelPainter::DrawScaledCheck;
  void DrawCheckBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState) override;
  void DrawScaledRadioButton(TcxCanvas* ACanvas, int X, int Y, TcxButtonState AButtonState, bool AChecked,
                             bool AFocused, vcl::TColor ABrushColor, const TdxScaleFactor* AScaleFactor,
                             bool AIsDesigning = false) override;
  void DrawScaledZoomInButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                              const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledZoomOutButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                               const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledBackButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                            const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledTokenBackground(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                 const TdxScaleFactor* AScaleFactor) override;

  // Headers, footers and the filter
  void DrawScaledHeader(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                        TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState,
                        rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                        bool AShowEndEllipsis, const rtl::String& AText, vcl::TFont* AFont, vcl::TColor ATextColor,
                        vcl::TColor ABkColor, const TdxScaleFactor* AScaleFactor,
                        TcxDrawBackgroundEvent AOnDrawBackground = {}, bool AIsLast = false,
                        bool AIsGroup = false) override;
  void DrawHeaderPressed(TcxCanvas* ACanvas, const TRect& ABounds) override;
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
  void DrawScaledSortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                             const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledSummarySortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                                    const TdxScaleFactor* AScaleFactor) override;
  void DrawFilterRowSeparator(TcxCanvas* ACanvas, const TRect& ARect, vcl::TColor ABackgroundColor) override;
  void DrawFooterBorder(TcxCanvas* ACanvas, const TRect& R) override;
  void DrawFooterCell(TcxCanvas* ACanvas, const TRect& ABounds, rtl::TAlignment AAlignmentHorz,
                      TcxAlignmentVert AAlignmentVert, bool AMultiLine, const rtl::String& AText, vcl::TFont* AFont,
                      vcl::TColor ATextColor, vcl::TColor ABkColor,
                      TcxDrawBackgroundEvent AOnDrawBackground = {}) override;
  void DrawScaledFilterCloseButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                   const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledFilterDropDownButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AIsFilterActive,
                                      const TdxScaleFactor* AScaleFactor) override;
  void DrawDateNavigatorDateHeader(TcxCanvas* ACanvas, TRect& R) override;

  // Tabs, layout and explorer views
  void DrawTab(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders, const rtl::String& AText,
               TcxButtonState AState, bool AVertical, vcl::TFont* AFont, vcl::TColor ATextColor, vcl::TColor ABkColor,
               bool AShowPrefix = false) override;
  void DrawTabBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorder ABorder, TcxBorders ABorders,
                     bool AVertical) override;
  void DrawTabsRoot(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders, bool AVertical) override;
  void LayoutViewDrawRecordCaption(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextRect,
                                   TcxGroupBoxCaptionPosition APosition, TcxButtonState AState,
                                   vcl::TColor AColor = vcl::clDefault, vcl::TBitmap* ABitmap = nullptr) override;
  void LayoutViewDrawItem(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                          TcxBorders ABorders) override;
  void WinExplorerViewDrawRecord(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                 vcl::TColor AColor = vcl::clDefault, vcl::TBitmap* ABitmap = nullptr) override;

  // Scroll bars, splitters and grips
  void DrawScaledSplitter(TcxCanvas* ACanvas, const TRect& ARect, bool AHighlighted, bool AClicked, bool AHorizontal,
                          const TdxScaleFactor* AScaleFactor, bool AHasCloseMark = false,
                          TcxArrowDirection AArrowDirection = TcxArrowDirection::adLeft) override;
  void DrawScaledScrollBarSplitter(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                   const TdxScaleFactor* AScaleFactor) override;
  void DoDrawSizeGrip(TcxCanvas* ACanvas, const TRect& ARect, const TdxScaleFactor* AScaleFactor) override;
  using TcxStandardLookAndFeelPainter::DoDrawSizeGrip;
  void DrawScaledIndicatorItem(TcxCanvas* ACanvas, const TRect& R, const TRect& AImageAreaBounds,
                               TcxIndicatorKind AKind, vcl::TColor AColor, const TdxScaleFactor* AScaleFactor,
                               TcxDrawBackgroundEvent AOnDrawBackground, TcxNeighbors ANeighbors) override;
  void DrawScaledIndicatorItem(TcxCanvas* ACanvas, const TRect& R, TcxIndicatorKind AKind, vcl::TColor AColor,
                               const TdxScaleFactor* AScaleFactor,
                               TcxDrawBackgroundEvent AOnDrawBackground = {}) override;

  // Scheduler, calendar and clock
  void DrawScaledMonthHeader(TcxCanvas* ACanvas, const TRect& ABounds, const rtl::String& AText,
                             TcxNeighbors ANeighbors, const TcxViewParams& AViewParams, TcxArrowDirections AArrows,
                             int ASideWidth, const TdxScaleFactor* AScaleFactor,
                             TcxDrawBackgroundEvent AOnDrawBackground = {}) override;
  void DrawSchedulerEventProgress(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& AProgress,
                                  const TcxViewParams& AViewParams, bool ATransparent) override;
  void DrawSchedulerScaledNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                          const TdxScaleFactor* AScaleFactor) override;
  void DrawSchedulerSplitterBorder(TcxCanvas* ACanvas, const TRect& R, const TcxViewParams& AViewParams,
                                   bool AIsHorizontal) override;
  void DrawScaledClock(TcxCanvas* ACanvas, const TRect& ARect, rtl::TDateTime ADateTime,
                       vcl::TColor ABackgroundColor, const TdxScaleFactor* AScaleFactor) override;
  void DrawModernCalendarDateCellSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                           TcxCalendarElementStates AStates) override;

  // Frames, popups, hints and panels
  void DrawGroupBoxFrame(TcxCanvas* ACanvas, const TRect& R, bool AEnabled, TcxGroupBoxCaptionPosition ACaptionPosition,
                         TcxBorders ABorders) override;
  void DrawPanelBackground(TcxCanvas* ACanvas, vcl::TWinControl* AControl, const TRect& ABounds,
                           vcl::TColor AColorFrom = vcl::clDefault, vcl::TColor AColorTo = vcl::clDefault) override;
  void DrawEditPopupWindowBorder(TcxCanvas* ACanvas, TRect& R, TcxEditPopupBorderStyle ABorderStyle,
                                 bool AClientEdge) override;
  void DrawHintBackground(TcxCanvas* ACanvas, const TRect& ARect, vcl::TColor AColor = vcl::clDefault) override;
  void DrawFindPanelBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders) override;
  void DrawBevelFrame(TcxCanvas* ACanvas, const TRect& R, vcl::TColor AColor1, vcl::TColor AColor2,
                      bool ABoxStyle) override;
  void DrawBevelLine(TcxCanvas* ACanvas, const TRect& R, vcl::TColor AColor1, vcl::TColor AColor2,
                     bool AIsVertical) override;

  // Track bars
  void CorrectThumbRect(TcxCanvas* ACanvas, TRect& ARect, bool AHorizontal, TcxTrackBarTicksAlign ATicks) override;
  void DrawTrackBarScaledTrack(TcxCanvas* ACanvas, const TRect& ARect, const TRect& ASelection, bool AShowSelection,
                               bool AEnabled, bool AHorizontal, vcl::TColor ATrackColor,
                               const TdxScaleFactor* AScaleFactor) override;
  void DrawTrackBarScaledThumb(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState, bool AHorizontal,
                               TcxTrackBarTicksAlign ATicks, vcl::TColor AThumbColor,
                               const TdxScaleFactor* AScaleFactor) override;
  void DrawRangeTrackBarScaledLeftThumb(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState,
                                        bool AHorizontal, TcxTrackBarTicksAlign ATicks, vcl::TColor AThumbColor,
                                        const TdxScaleFactor* AScaleFactor) override;
  void DrawRangeTrackBarScaledRightThumb(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState,
                                         bool AHorizontal, TcxTrackBarTicksAlign ATicks, vcl::TColor AThumbColor,
                                         const TdxScaleFactor* AScaleFactor) override;

  // Drop-down list box, breadcrumb edit, gallery, toggle switch, wheel picker
  void DrawDropDownListBoxBackground(TcxCanvas* ACanvas, const TRect& ARect, bool AHasBorders) override;
  void DrawDropDownListBoxScaledGutterBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                 const TdxScaleFactor* AScaleFactor) override;
  void DrawDropDownListBoxScaledSelection(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AGutterRect,
                                          const TdxScaleFactor* AScaleFactor) override;
  void DrawDropDownListBoxScaledSeparator(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AGutterRect,
                                          const TdxScaleFactor* AScaleFactor) override;
  void DrawBreadcrumbEditBorders(TcxCanvas* ACanvas, const TRect& ARect, TcxBorders ABorders,
                                 TdxBreadcrumbEditState AState) override;
  void DrawBreadcrumbEditScaledButton(TcxCanvas* ACanvas, const TRect& ARect, TdxBreadcrumbEditButtonState AState,
                                      bool AIsFirst, bool AIsLast, const TdxScaleFactor* AScaleFactor) override;
  void DrawBreadcrumbEditScaledButtonAreaSeparator(TcxCanvas* ACanvas, const TRect& ARect,
                                                   TdxBreadcrumbEditState AState,
                                                   const TdxScaleFactor* AScaleFactor) override;
  void DrawBreadcrumbEditScaledDropDownButton(TcxCanvas* ACanvas, const TRect& ARect,
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
  void DrawBreadcrumbEditScaledProgressChunk(TcxCanvas* ACanvas, const TRect& R,
                                             const TdxScaleFactor* AScaleFactor) override;
  void DrawBreadcrumbEditScaledProgressChunkOverlay(TcxCanvas* ACanvas, const TRect& R,
                                                    const TdxScaleFactor* AScaleFactor) override;
  void DrawGalleryItemSelection(TcxCanvas* ACanvas, const TRect& R, const TdxGalleryItemViewState& AViewState) override;
  void DrawScaledToggleSwitchState(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState, bool AChecked,
                                   const TdxScaleFactor* AScaleFactor) override;
  void DrawScaledToggleSwitchThumb(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                   const TdxScaleFactor* AScaleFactor) override;
  void DrawWheelPickerItemBackground(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState) override;
  void DrawWheelPickerItemBorder(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState) override;

  // Theme text in ARect with the alignment and line flags given; nothing
  // for an empty text. AClipRect and ABkColor are not used.
  virtual void DrawThemedText(TcxCanvas* ACanvas, HTHEME ATheme, int APartId, int AStateId, const TRect& AClipRect,
                              const TRect& ARect, rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                              bool AMultiLine, bool AShowEndEllipsis, bool AShowPrefix, const rtl::String& AText,
                              vcl::TFont* AFont, vcl::TColor ATextColor, vcl::TColor ABkColor);

 protected:
  void DoDrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const TdxScaleFactor* AScaleFactor,
                           TcxScrollBarPart APart, TcxButtonState AState, const TRect& R) override;
  void DrawSchedulerNavigationButtonContent(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AArrowRect,
                                            bool AIsNextButton, TcxButtonState AState,
                                            bool AIsVertical = false) override;

 private:
  // The tab picture of DrawTab and LayoutViewDrawRecordCaption: vertical
  // tabs are drawn into a bitmap and turned.
  void DrawThemedTab(TcxCanvas* ACanvas, HTHEME ATheme, const TRect& R, TcxBorders ABorders, const rtl::String& AText,
                     int AState, bool AVertical, vcl::TFont* AFont, vcl::TColor ATextColor, vcl::TColor ABkColor,
                     bool AShowPrefix);
  // Button part 1 in AStateId on R grown by AOffsets, clipped to R.
  void DrawClippedButtonPart(TcxCanvas* ACanvas, HTHEME ATheme, int AStateId, const TRect& R, const TRect& AOffsets);
  void DrawZoomButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, const TdxScaleFactor* AScaleFactor,
                      TcxBitmap32* AGlyph, bool AZoomIn);
  TSize ZoomButtonSize(TcxBitmap32* AGlyph, const TdxScaleFactor* AScaleFactor);

  TcxBitmap32* FZoomInButtonGlyph = nullptr;
  TcxBitmap32* FZoomOutButtonGlyph = nullptr;
};
