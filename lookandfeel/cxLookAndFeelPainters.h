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

#include <array>
#include <vector>

#include "core/cxClasses.h"
#include "core/dxTypeHelpers.h"
#include "graphics/cxGraphics.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemEvents.h"
#include "platform/rtl/SystemTypes.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/vcl/Graphics.h"
#include "platform/vcl/ImgList.h"

class TdxScaleFactor;

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
  // Frees the cached glyphs and details; Destroy runs it.
  virtual void FreeCachedResources();
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
