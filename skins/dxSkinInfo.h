#pragma once
// The skin information: one loaded skin turned into typed references, so
// that nothing that paints looks a name up while it paints.
// - TdxSkinInfo resolves, once per binding and again on every change of the
//   skin, the control groups, elements, colours and properties the painters
//   draw with. The names live in the tables below (dxSkinInfoElementNames,
//   dxSkinInfoColorNames, ...), which tests and the skin data's checks read.
//   A missing group is added empty, a missing element as a red-cross
//   placeholder, unless its entry says it is not created; a missing colour
//   or property leaves nil or the default.
// - TdxSkinScrollInfo: the element and image index of one scroll-bar part.
// - TdxSkinElementHelper: caption-button sizing and the alternate image set.

#include <windows.h>

#include <array>
#include <span>

#include "core/cxClasses.h"
#include "graphics/dxCoreGraphics.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "platform/rtl/System.h"
#include "skins/dxSkinsCore.h"

class TdxScaleFactor;

struct IdxSkinInfo : rtl::IInterface {
  RTL_GUID(IdxSkinInfo, "{3F1C5B2E-8D4A-4E7B-A1C9-5B2D6E8F0A13}")
  virtual TdxSkin* __stdcall GetSkin() = 0;
};

// The icons of a form's caption, the menu icon first.
RTL_ENUM(TdxSkinFormIcon, sfiMenu, sfiHelp, sfiMinimize, sfiMaximize, sfiRestore, sfiClose);

// ---------------------------------------------------------------------------
// TdxSkinScrollInfo

class TdxSkinScrollInfo : public rtl::TObject {
  RTL_CLASS(TdxSkinScrollInfo, rtl::TObject)

 public:
  // The part is not kept: the index says which image of the element it is.
  virtual void Create(TdxSkinElement* AElement, int AImageIndex, TcxScrollBarPart APart);

  // False, drawing nothing, without an element.
  bool DrawScaled(HDC DC, const TRect& R, int AImageIndex, TdxSkinElementState AState,
                  const TdxScaleFactor* AScaleFactor);
  bool Draw(HDC DC, const TRect& R, int AImageIndex, TdxSkinElementState AState);
  bool DrawScaled(HDC DC, const TRect& R, TdxSkinElementState AState, const TdxScaleFactor* AScaleFactor);
  bool Draw(HDC DC, const TRect& R, TdxSkinElementState AState);

  TdxSkinElement* GetElement() const { return FElement; }
  int GetImageIndex() const { return FImageIndex; }

 private:
  TdxSkinElement* FElement;
  int FImageIndex;
};

// ---------------------------------------------------------------------------
// TdxSkinInfo

class TdxSkinInfo : public TcxIUnknownObject, public IdxSkinInfo, public IdxSkinChangeListener {
  RTL_CLASS(TdxSkinInfo, TcxIUnknownObject)
  RTL_INTERFACES(IdxSkinInfo, IdxSkinChangeListener)

 public:
  // Binds ASkin, which the information owns from then on.
  virtual void Create(TdxSkin* ASkin);
  // Unbinds and frees the skin.
  void Destroy() override;

  TdxSkin* GetSkinObject() const { return FSkin; }
  // Unbinds the old skin (not freed) and binds the new one.
  void SetSkin(TdxSkin* AValue);

  // ADefaultValue without the object or an integer property of that name.
  int GetIntegerPropertyValue(TdxSkinPersistent* AObject, const rtl::String& APropertyName, int ADefaultValue);

  virtual void FinalizeSkinInfo();
  virtual void InitializeSkinInfo();
  // IdxSkinChangeListener: resolves everything again.
  void __stdcall SkinChanged(TdxSkin* Sender) override;
  // IdxSkinInfo
  TdxSkin* __stdcall GetSkin() override { return FSkin; }

  // Control groups
  TdxSkinControlGroup* GroupBars = nullptr;
  TdxSkinControlGroup* GroupCommon = nullptr;
  TdxSkinControlGroup* GroupDocking = nullptr;
  TdxSkinControlGroup* GroupEditors = nullptr;
  TdxSkinControlGroup* GroupForm = nullptr;
  TdxSkinControlGroup* GroupGrid = nullptr;
  TdxSkinControlGroup* GroupMapControl = nullptr;
  TdxSkinControlGroup* GroupNavBar = nullptr;
  TdxSkinControlGroup* GroupNavPane = nullptr;
  TdxSkinControlGroup* GroupPDFViewer = nullptr;
  TdxSkinControlGroup* GroupPrintingSystem = nullptr;
  TdxSkinControlGroup* GroupRibbon = nullptr;
  TdxSkinControlGroup* GroupRichEdit = nullptr;
  TdxSkinControlGroup* GroupScheduler = nullptr;
  TdxSkinControlGroup* GroupTabs = nullptr;
  TdxSkinControlGroup* GroupTileControl = nullptr;
  TdxSkinControlGroup* GroupVGrid = nullptr;

  // Common
  TdxSkinElement* AlertWindow = nullptr;
  TdxSkinElement* AlertWindowButton = nullptr;
  TdxSkinElement* AlertWindowButtonGlyphs = nullptr;
  TdxSkinElement* AlertWindowCaption = nullptr;
  TdxSkinElement* AlertWindowNavigationPanel = nullptr;
  TdxSkinElement* AlertWindowNavigationPanelButton = nullptr;
  int AlertWindowCornerRadius = 0;
  TdxSkinElement* BackButton = nullptr;
  TdxSkinElement* ButtonElements = nullptr;
  TdxSkinColor* ButtonDisabled = nullptr;
  TdxSkinElement* DropDownButtonLeft = nullptr;
  TdxSkinElement* DropDownButtonRight = nullptr;
  TdxSkinElement* LoadingBig = nullptr;
  TdxSkinElement* GroupBoxClient = nullptr;
  TdxSkinElement* GroupButton = nullptr;
  TdxSkinElement* GroupButtonExpandGlyph = nullptr;
  std::array<TdxSkinElement*, 5> GroupBoxElements{};
  std::array<TdxSkinElement*, 5> GroupBoxCaptionElements{};
  std::array<TdxSkinIntegerProperty*, 5> GroupBoxCaptionTailSizes{};
  std::array<TdxSkinIntegerProperty*, 5> GroupBoxCaptionTextPadding{};
  TdxSkinElement* GaugeBackground = nullptr;
  TdxSkinElement* Header = nullptr;
  TdxSkinElement* HeaderSpecial = nullptr;
  TdxSkinElement* SortGlyphs = nullptr;
  TdxSkinElement* HighlightedItem = nullptr;
  TdxSkinElement* SizeGrip = nullptr;
  std::array<TdxSkinElement*, 2> Splitter{};
  // [horizontal][part]; the sbpNone entries stay nil.
  std::array<std::array<TdxSkinScrollInfo*, rtl::EnumCount<TcxScrollBarPart>()>, 2> ScrollBar_Elements{};

  // Bars
  TdxSkinElement* Bar = nullptr;
  TdxSkinElement* BarCustomize = nullptr;
  TdxSkinElement* BarCustomizeVertical = nullptr;
  TdxSkinElement* BarDrag = nullptr;
  TdxSkinElement* BarDragVertical = nullptr;
  TdxSkinElement* BarMDIButtonClose = nullptr;
  TdxSkinElement* BarMDIButtonMinimize = nullptr;
  TdxSkinElement* BarMDIButtonRestore = nullptr;
  TdxSkinElement* BarSeparator = nullptr;
  TdxSkinElement* BarVertical = nullptr;
  TdxSkinElement* BarVerticalSeparator = nullptr;
  TdxSkinElement* Dock = nullptr;
  TdxSkinElement* FloatingBar = nullptr;
  TdxSkinElement* ItemSeparator = nullptr;
  TdxSkinElement* LinkBorderPainter = nullptr;
  TdxSkinElement* LinkSelected = nullptr;
  TdxSkinElement* MainMenu = nullptr;
  TdxSkinElement* MainMenuCustomize = nullptr;
  TdxSkinElement* MainMenuDrag = nullptr;
  TdxSkinElement* MainMenuLinkSelected = nullptr;
  TdxSkinElement* MainMenuVertical = nullptr;
  TdxSkinElement* PopupMenu = nullptr;
  TdxSkinElement* PopupMenuCheck = nullptr;
  TdxSkinElement* PopupMenuExpandButton = nullptr;
  TdxSkinElement* PopupMenuLinkSelected = nullptr;
  TdxSkinElement* PopupMenuSeparator = nullptr;
  TdxSkinElement* PopupMenuSideStrip = nullptr;
  TdxSkinElement* PopupMenuSideStripNonRecent = nullptr;
  TdxSkinElement* PopupMenuSplitButton = nullptr;
  TdxSkinElement* PopupMenuSplitButton2 = nullptr;
  TdxSkinElement* FormStatusBar = nullptr;
  TdxSkinElement* ScreenTipWindow = nullptr;
  TdxSkinElement* ScreenTipSeparator = nullptr;
  TdxSkinColor* BarDisabledTextColor = nullptr;
  TdxSkinColor* ScreenTipItem = nullptr;
  TdxSkinColor* ScreenTipTitleItem = nullptr;

  // Docking
  TdxSkinElement* DockControlHideBarButtons = nullptr;
  TdxSkinElement* DockControlTabButtonHorz = nullptr;
  TdxSkinElement* DockControlTabButtonVert = nullptr;
  TdxSkinElement* DockControlTabHeader = nullptr;
  TdxSkinElement* DockControlTabHeaderBackground = nullptr;
  TdxSkinElement* DockControlTabHeaderCloseButton = nullptr;
  TdxSkinElement* DockControlTabHeaderLine = nullptr;
  TdxSkinElement* DockControlWindowButton = nullptr;
  TdxSkinElement* DockControlWindowButtonGlyphs = nullptr;
  TdxSkinElement* DockControlHideBar = nullptr;
  TdxSkinElement* DockControlHideBarLeft = nullptr;
  TdxSkinElement* DockControlHideBarRight = nullptr;
  TdxSkinElement* DockControlHideBarBottom = nullptr;
  TdxSkinElement* DockControlCaption = nullptr;
  TdxSkinElement* DockControlBorder = nullptr;
  TdxSkinColor* DockSiteContentColor = nullptr;
  std::array<TdxSkinColor*, 2> DockControlTabTextColor{};
  vcl::TColor DockControlCaptionNonFocusedTextColor = vcl::clDefault;
  std::array<int, 3> DockControlIndents{};

  // Editors
  TdxSkinElement* CalendarNavigationButton = nullptr;
  TdxSkinElement* CheckboxElement = nullptr;
  std::array<TdxSkinElement*, 2> ClockElements{};
  TdxSkinElement* RadioGroupButton = nullptr;
  TdxSkinElement* RatingIndicator = nullptr;
  TdxSkinElement* ZoomInButton = nullptr;
  TdxSkinElement* ZoomOutButton = nullptr;
  std::array<TdxSkinElement*, 2> LabelLine{};
  std::array<TdxSkinElement*, 2> EditButtonElements{};
  std::array<TdxSkinElement*, rtl::EnumCount<TcxEditBtnKind>()> EditButtonGlyphs{};
  TdxSkinElement* EditButtonSearchGlyph = nullptr;
  bool EditButtonMergeBorders = false;
  std::array<TdxSkinElement*, 4> SliderArrow{};
  std::array<TdxSkinElement*, 4> ProgressBarElements{};
  std::array<TdxSkinColor*, 2> ProgressBarTextColors{};
  TdxSkinElement* ToggleSwitch = nullptr;
  TdxSkinElement* ToggleSwitchThumb = nullptr;
  int ToggleSwitchTextMargin = 0;
  TdxSkinElement* RangeTrackBarThumbLeft = nullptr;
  TdxSkinElement* RangeTrackBarThumbRight = nullptr;
  TdxSkinElement* RangeTrackBarThumbBoth = nullptr;
  std::array<TdxSkinElement*, 2> TrackBarTrack{};
  std::array<std::array<TdxSkinElement*, rtl::EnumCount<TcxTrackBarTicksAlign>()>, 2> TrackBarThumb{};
  TdxSkinColor* TrackBarTickColor = nullptr;
  TdxSkinElement* NavigatorButton = nullptr;
  TdxSkinElement* NavigatorGlyphs = nullptr;
  TdxSkinElement* NavigatorGlyphsVert = nullptr;
  TdxSkinColor* NavigatorInfoPanelColor = nullptr;
  TdxSkinColor* NavigatorInfoPanelTextColor = nullptr;
  TdxSkinElement* GalleryBackground = nullptr;
  TdxSkinElement* GalleryGroup = nullptr;
  TdxSkinElement* GalleryItem = nullptr;
  TdxSkinElement* GalleryItemGlyphFrame = nullptr;
  std::array<TdxSkinColor*, rtl::EnumCount<TcxEditStateColorKind>()> EditorTextColors{};
  std::array<TdxSkinColor*, rtl::EnumCount<TcxEditStateColorKind>()> EditorBackgroundColors{};
  std::array<TdxSkinColor*, rtl::EnumCount<TcxCalcButtonKind>()> CalcEditButtonTextColors{};
  TdxSkinColor* BevelShapeColor1 = nullptr;
  TdxSkinColor* BevelShapeColor2 = nullptr;
  TdxSkinColor* HyperLinkTextColor = nullptr;
  TdxSkinColor* CalendarDayTextColor = nullptr;
  TdxSkinColor* CalendarHolidayTextColor = nullptr;
  TdxSkinColor* CalendarInactiveDayTextColor = nullptr;
  TdxSkinColor* CalendarSelectedDayTextColor = nullptr;
  TdxSkinColor* CalendarSelectedDayColor = nullptr;
  TdxSkinColor* CalendarSeparatorColor = nullptr;
  TdxSkinColor* CalendarTodayFrameColor = nullptr;
  TdxSkinColor* CalendarTodayTextColor = nullptr;
  // Breadcrumb edit
  TdxSkinElement* BreadcrumbEditButton = nullptr;
  TdxSkinElement* BreadcrumbEditButtonsAreaSeparator = nullptr;
  TdxSkinElement* BreadcrumbEditDropDownButton = nullptr;
  TdxSkinElement* BreadcrumbEditNodeButton = nullptr;
  TdxSkinElement* BreadcrumbEditNodeSplitButtonLeft = nullptr;
  TdxSkinElement* BreadcrumbEditNodeSplitButtonRight = nullptr;
  TdxSkinElement* BreadcrumbEditProgressChunk = nullptr;
  TdxSkinElement* BreadcrumbEditProgressChunkOverlay = nullptr;
  TdxSkinRectProperty* BreadcrumbEditProgressChunkPadding = nullptr;
  std::array<TdxSkinColor*, rtl::EnumCount<TdxBreadcrumbEditState>()> BreadcrumbEditBackgroundColors{};
  std::array<TdxSkinColor*, rtl::EnumCount<TdxBreadcrumbEditState>()> BreadcrumbEditBordersColors{};
  bool BreadcrumbEditButtonMergeBorders = false;
  // Range control
  TdxSkinElement* RangeControlBorder = nullptr;
  TdxSkinElement* RangeControlLeftThumb = nullptr;
  TdxSkinElement* RangeControlRightThumb = nullptr;
  TdxSkinElement* RangeControlRulerHeader = nullptr;
  TdxSkinElement* RangeControlSizingGlyph = nullptr;
  TdxSkinColor* RangeControlDefaultElementColor = nullptr;
  TdxSkinColor* RangeControlElementBaseColor = nullptr;
  TdxSkinColor* RangeControlElementForeColor = nullptr;
  TdxSkinColor* RangeControlLabelColor = nullptr;
  TdxSkinColor* RangeControlRangePreviewColor = nullptr;
  TdxSkinColor* RangeControlScrollAreaColor = nullptr;
  TdxSkinColor* RangeControlViewPortPreviewColor = nullptr;
  TdxSkinIntegerProperty* RangeControlElementFontSize = nullptr;
  TdxSkinIntegerProperty* RangeControlScrollAreaHeight = nullptr;
  TdxAlphaColor RangeControlOutOfRangeColorMask = 0;
  TdxAlphaColor RangeControlRuleColor = 0;
  TdxAlphaColor RangeControlSelectionBorderColor = 0;
  TdxAlphaColor RangeControlSelectionColor = 0;
  TdxAlphaColor RangeControlBackColor = 0;
  TdxAlphaColor RangeControlInnerBorderColor = 0;

  // Form
  TdxSkinElement* FormContent = nullptr;
  TdxSkinColor* FormInactiveColor = nullptr;
  TdxSkinColor* FormTextShadowColor = nullptr;
  // [normal][border]: the small (tool-window) frame first.
  std::array<std::array<TdxSkinElement*, 4>, 2> FormFrames{};
  std::array<std::array<TdxSkinElement*, rtl::EnumCount<TdxSkinFormIcon>()>, 2> FormIcons{};
  int FormCaptionFontDelta = 1;
  TdxSkinBooleanProperty* FormCaptionFontIsBold = nullptr;

  // Grid
  TdxSkinElement* ExpandButton = nullptr;
  TdxSkinElement* SmartFilterButton = nullptr;
  TdxSkinElement* FilterPanel = nullptr;
  std::array<TdxSkinElement*, 2> FilterButtons{};
  TdxSkinElement* FooterCell = nullptr;
  TdxSkinElement* FooterPanel = nullptr;
  TdxSkinElement* GridFixedLine = nullptr;
  TdxSkinElement* CardViewSeparator = nullptr;
  TdxSkinElement* GridGroupByBox = nullptr;
  TdxSkinElement* GridGroupRow = nullptr;
  TdxSkinElement* GridLine = nullptr;
  TdxSkinElement* IndicatorImages = nullptr;
  TdxSkinElement* LayoutViewItem = nullptr;
  TdxSkinElement* LayoutViewRecordExpandButton = nullptr;
  TdxSkinColor* GridGroupRowStyleOffice11ContentColor = nullptr;
  TdxSkinColor* GridGroupRowStyleOffice11SeparatorColor = nullptr;
  TdxSkinColor* GridGroupRowStyleOffice11TextColor = nullptr;
  TdxSkinElement* GridWinExplorerViewGroup = nullptr;
  TdxSkinElement* GridWinExplorerViewGroupCaptionLine = nullptr;
  TdxSkinElement* GridWinExplorerViewGroupExpandButton = nullptr;
  TdxSkinElement* GridWinExplorerViewRecord = nullptr;
  // Layout view
  std::array<TdxSkinRectProperty*, rtl::EnumCount<TcxLayoutElement>()> LayoutViewElementPadding{};
  std::array<TdxSkinRectProperty*, rtl::EnumCount<TcxLayoutElement>()> LayoutViewElementSpacing{};
  std::array<TdxSkinElement*, 5> LayoutViewRecordElements{};
  std::array<TdxSkinElement*, 5> LayoutViewRecordCaptionElements{};
  std::array<TdxSkinIntegerProperty*, 5> LayoutViewRecordCaptionTailSizes{};
  std::array<TdxSkinIntegerProperty*, 5> LayoutViewRecordCaptionTextPadding{};

  // Navigation bar
  TdxSkinElement* NavBarAccordionControlBackground = nullptr;
  TdxSkinElement* NavBarAccordionControlGroup = nullptr;
  TdxSkinElement* NavBarAccordionControlGroupCloseButton = nullptr;
  TdxSkinElement* NavBarAccordionControlGroupOpenButton = nullptr;
  TdxSkinElement* NavBarAccordionControlItem = nullptr;
  TdxSkinElement* NavBarAccordionControlRootGroup = nullptr;
  TdxSkinElement* NavBarAccordionControlRootGroupCloseButton = nullptr;
  TdxSkinElement* NavBarAccordionControlRootGroupOpenButton = nullptr;
  TdxSkinElement* NavBarAccordionControlSearchButton = nullptr;
  TdxSkinElement* NavBarBackgroundColor = nullptr;
  TdxSkinElement* NavBarGroupClient = nullptr;
  TdxSkinElement* NavBarItem = nullptr;
  TdxSkinElement* NavBarGroupHeader = nullptr;
  std::array<TdxSkinElement*, 2> NavBarGroupButtons{};
  TdxSkinIntegerProperty* NavBarAccordionControlChildItemOffset = nullptr;
  TdxSkinIntegerProperty* NavBarAccordionControlDistanceBetweenRootGroups = nullptr;
  TdxSkinRectProperty* NavBarAccordionControlContentContainerPadding = nullptr;
  TdxSkinIntegerProperty* NavBarAccordionControlSearchButtonGlyphToTextIndent = nullptr;

  // Navigation pane
  TdxSkinElement* NavPaneCollapseButton = nullptr;
  TdxSkinElement* NavPaneCollapsedGroupClient = nullptr;
  TdxSkinElement* NavPaneExpandButton = nullptr;
  TdxSkinElement* NavPaneFormBorder = nullptr;
  TdxSkinElement* NavPaneFormSizeGrip = nullptr;
  std::array<TdxSkinElement*, 2> NavPaneGroupButton{};
  TdxSkinElement* NavPaneGroupCaption = nullptr;
  TdxSkinElement* NavPaneSplitter = nullptr;
  std::array<TdxSkinElement*, 2> NavPaneScrollButtons{};
  TdxSkinElement* NavPaneOverflowPanel = nullptr;
  TdxSkinElement* NavPaneOverflowPanelItem = nullptr;
  TdxSkinElement* NavPaneOverflowPanelExpandedItem = nullptr;
  TdxSkinElement* NavPaneGroupClient = nullptr;
  TdxSkinElement* NavPaneItem = nullptr;
  TdxSkinElement* NavPaneSelectedItem = nullptr;
  TdxSkinElement* NavPaneOfficeNavigationBar = nullptr;
  TdxSkinElement* NavPaneOfficeNavigationBarItem = nullptr;
  TdxSkinElement* NavPaneOfficeNavigationBarSkinningItem = nullptr;
  TdxSkinIntegerProperty* NavPaneCaptionHeight = nullptr;
  TdxSkinIntegerProperty* NavPaneCaptionFontSize = nullptr;
  int NavPaneOfficeNavigationBarItemFontDelta = 0;
  int NavPaneOfficeNavigationBarSkinningItemFontDelta = 0;
  TdxSkinBooleanProperty* NavPaneOffsetGroupBorders = nullptr;

  // Vertical grid
  TdxSkinColor* VGridContentColor = nullptr;
  TdxSkinElement* VGridCategory = nullptr;
  std::array<TdxSkinElement*, 2> VGridLine{};
  TdxSkinElement* VGridRowHeader = nullptr;

  // Scheduler
  TdxSkinColor* SchedulerNavigatorColor = nullptr;
  std::array<TdxSkinColor*, 12> SchedulerResourceColors{};
  std::array<TdxSkinElement*, 2> SchedulerTimeGridHeader{};
  TdxSkinElement* SchedulerTimeRuler = nullptr;
  std::array<TdxSkinElement*, 2> SchedulerAppointment{};
  std::array<TdxSkinElement*, 2> SchedulerAllDayArea{};
  TdxSkinElement* SchedulerTimeLine = nullptr;
  TdxSkinElement* SchedulerMoreButton = nullptr;
  TdxSkinElement* SchedulerCurrentTimeIndicator = nullptr;
  std::array<TdxSkinElement*, 2> SchedulerAppointmentShadow{};
  TdxSkinElement* SchedulerAppointmentMask = nullptr;
  TdxSkinElement* SchedulerGroup = nullptr;
  TdxSkinElement* SchedulerMilestone = nullptr;
  std::array<TdxSkinElement*, 2> SchedulerNavigationButtons{};
  std::array<TdxSkinElement*, 2> SchedulerNavigationButtonsArrow{};
  TdxSkinElement* SchedulerTimeGridCurrentTimeIndicator = nullptr;
  TdxSkinElement* SchedulerLabelCircle = nullptr;
  TdxSkinIntegerProperty* SchedulerAppointmentBorderSize = nullptr;
  TdxSkinColor* SchedulerAppointmentBorder = nullptr;

  // Page control
  TdxSkinElement* PageControlHeader = nullptr;
  TdxSkinElement* PageControlButton = nullptr;
  TdxSkinElement* PageControlButtonHorz = nullptr;
  TdxSkinElement* PageControlButtonVert = nullptr;
  TdxSkinElement* PageControlHeaderButton = nullptr;
  TdxSkinElement* PageControlCloseButton = nullptr;
  TdxSkinElement* PageControlPane = nullptr;
  std::array<int, 8> PageControlIndents{};
  TdxSkinColor* TabTextColor = nullptr;
  TdxSkinColor* TabTextColorActive = nullptr;
  TdxSkinColor* TabTextColorDisabled = nullptr;
  TdxSkinColor* TabTextColorHot = nullptr;

  // Rich edit
  TdxSkinElement* RichEditCornerPanel = nullptr;
  TdxSkinElement* RichEditRulerBackgroundHorz = nullptr;
  TdxSkinElement* RichEditRulerBackgroundVert = nullptr;
  TdxSkinElement* RichEditRulerColumnResizer = nullptr;
  TdxSkinElement* RichEditRulerIndent = nullptr;
  TdxSkinElement* RichEditRulerIndentBottom = nullptr;
  TdxSkinElement* RichEditRulerRightMargin = nullptr;
  TdxSkinElement* RichEditRulerSection = nullptr;
  TdxSkinElement* RichEditRulerTab = nullptr;
  TdxSkinElement* RichEditRulerTabTypeBackground = nullptr;
  TdxSkinColor* RichEditRulerDefaultTabColor = nullptr;
  TdxSkinColor* RichEditRulerTextColor = nullptr;

  // PDF viewer
  TdxSkinElement* PDFViewerFindPanel = nullptr;
  TdxSkinElement* PDFViewerNavigationPaneBackground = nullptr;
  TdxSkinElement* PDFViewerNavigationPaneButton = nullptr;
  TdxSkinElement* PDFViewerNavigationPaneButtonArrow = nullptr;
  TdxSkinElement* PDFViewerNavigationPaneButtonMinimized = nullptr;
  TdxSkinElement* PDFViewerNavigationPanePageBackground = nullptr;
  TdxSkinElement* PDFViewerNavigationPanePageButton = nullptr;
  TdxSkinElement* PDFViewerNavigationPanePageCaption = nullptr;
  TdxSkinColor* PDFViewerSelectionColor = nullptr;
  TdxSkinIntegerProperty* PDFViewerNavigationPaneSelectedPageExpandValue = nullptr;
  TdxSkinIntegerProperty* PDFViewerNavigationPaneSelectedPageOverlapValue = nullptr;

  // Printing system
  TdxSkinElement* PrintingPageBorder = nullptr;
  TdxSkinElement* PrintingPreviewBackground = nullptr;

  // Tile control
  TdxSkinElement* TileControlActionBar = nullptr;
  TdxSkinElement* TileControlBackground = nullptr;
  TdxSkinElement* TileControlItem = nullptr;
  TdxSkinElement* TileControlItemCheck = nullptr;
  TdxSkinElement* TileControlGroupCaption = nullptr;
  TdxSkinElement* TileControlVirtualGroup = nullptr;
  TdxSkinElement* TileControlTitle = nullptr;
  TdxSkinElement* TileControlTabHeader = nullptr;
  int TileControlGroupCaptionFontDelta = 0;
  int TileControlTitleFontDelta = 0;
  int TileControlTabHeaderFontDelta = 0;
  vcl::TColor TileControlSelectionFocusedColor = vcl::clDefault;
  vcl::TColor TileControlSelectionHotColor = vcl::clDefault;

  // Map control
  vcl::TColor MapControlBackColor = vcl::clDefault;
  TdxAlphaColor MapControlPanelBackColor = 0;
  TdxAlphaColor MapControlPanelHotTrackedTextColor = 0;
  TdxAlphaColor MapControlPanelPressedTextColor = 0;
  TdxAlphaColor MapControlPanelTextColor = 0;
  TdxSkinElement* MapControlCustomElement = nullptr;
  TdxAlphaColor MapControlCustomElementTextGlowColor = 0;
  TdxSkinElement* MapControlCallout = nullptr;
  TdxAlphaColor MapControlCalloutTextGlowColor = 0;
  int MapControlCalloutPointerHeight = 0;
  TPoint MapControlCalloutPointer{};
  TdxSkinElement* MapControlPushpin = nullptr;
  TPoint MapControlPushpinTextOrigin{};
  TdxAlphaColor MapControlPushpinTextGlowColor = 0;
  TdxAlphaColor MapControlSelectedRegionBackgroundColor = 0;
  TdxAlphaColor MapControlSelectedRegionBorderColor = 0;
  std::array<TdxAlphaColor, rtl::EnumCount<TdxMapControlElementState>()> MapControlShapeBorderColor{};
  std::array<int, rtl::EnumCount<TdxMapControlElementState>()> MapControlShapeBorderWidth{};
  std::array<TdxAlphaColor, rtl::EnumCount<TdxMapControlElementState>()> MapControlShapeColor{};

  // Ribbon
  TdxSkinElement* RibbonApplicationBackground = nullptr;
  TdxSkinElement* RibbonApplicationButton = nullptr;
  TdxSkinElement* RibbonApplicationButton2010 = nullptr;
  TdxSkinElement* RibbonApplicationFooterBackground = nullptr;
  TdxSkinElement* RibbonApplicationHeaderBackground = nullptr;
  TdxSkinElement* RibbonExtraPanePinButtonGlyph = nullptr;
  TdxSkinElement* RibbonExtraPaneButton = nullptr;
  TdxSkinElement* RibbonBackstageView = nullptr;
  TdxSkinElement* RibbonBackstageViewBackButton = nullptr;
  TdxSkinElement* RibbonBackstageViewImage = nullptr;
  TdxSkinElement* RibbonBackstageViewMenu = nullptr;
  TdxSkinElement* RibbonBackstageViewMenuHeader = nullptr;
  TdxSkinElement* RibbonBackstageViewMenuButton = nullptr;
  TdxSkinElement* RibbonBackstageViewMenuSeparator = nullptr;
  TdxSkinElement* RibbonBackstageViewTab = nullptr;
  TdxSkinElement* RibbonBackstageViewTabArrow = nullptr;
  TdxSkinElement* RibbonCollapsedToolBarBackground = nullptr;
  TdxSkinElement* RibbonCollapsedToolBarGlyphBackground = nullptr;
  TdxSkinElement* RibbonFormButtonAutoHideModeShowUI = nullptr;
  TdxSkinElement* RibbonFormButtonDisplayOptions = nullptr;
  TdxSkinElement* RibbonFormButtonClose = nullptr;
  TdxSkinElement* RibbonFormButtonHelp = nullptr;
  TdxSkinElement* RibbonFormButtonMaximize = nullptr;
  TdxSkinElement* RibbonFormButtonMinimize = nullptr;
  TdxSkinElement* RibbonFormButtonRestore = nullptr;
  TdxSkinElement* RibbonFormCaption = nullptr;
  TdxSkinElement* RibbonFormCaptionRibbonHidden = nullptr;
  TdxSkinElement* RibbonFormContent = nullptr;
  std::array<TdxSkinElement*, 2> RibbonFormBottom{};
  std::array<TdxSkinElement*, 2> RibbonFormLeft{};
  std::array<TdxSkinElement*, 2> RibbonFormRight{};
  TdxSkinElement* RibbonMinimizeButtonGlyph = nullptr;
  TdxSkinElement* RibbonTab = nullptr;
  TdxSkinElement* RibbonTabPanel = nullptr;
  TdxSkinElement* RibbonTabPanelGroupButton = nullptr;
  TdxSkinElement* RibbonTabSeparatorLine = nullptr;
  TdxSkinElement* RibbonTabGroup = nullptr;
  TdxSkinElement* RibbonTabGroupHeader = nullptr;
  TdxSkinElement* RibbonTabGroupItemsSeparator = nullptr;
  TdxSkinElement* RibbonGalleryBackground = nullptr;
  TdxSkinElement* RibbonGalleryButtonDown = nullptr;
  TdxSkinElement* RibbonGalleryButtonDropDown = nullptr;
  TdxSkinElement* RibbonGalleryButtonUp = nullptr;
  TdxSkinElement* RibbonGalleryGroupCaption = nullptr;
  TdxSkinElement* RibbonGalleryPane = nullptr;
  TdxSkinElement* RibbonGallerySizingPanel = nullptr;
  TdxSkinElement* RibbonGallerySizeGrips = nullptr;
  TdxSkinElement* RibbonHeaderBackground = nullptr;
  TdxSkinElement* RibbonHeaderBackgroundOnGlass = nullptr;
  TdxSkinElement* RibbonSmallButton = nullptr;
  TdxSkinElement* RibbonSplitButtonLeft = nullptr;
  TdxSkinElement* RibbonSplitButtonRight = nullptr;
  TdxSkinElement* RibbonKeyTip = nullptr;
  TdxSkinElement* RibbonLargeButton = nullptr;
  TdxSkinElement* RibbonLargeSplitButtonTop = nullptr;
  TdxSkinElement* RibbonLargeSplitButtonBottom = nullptr;
  TdxSkinElement* RibbonButtonArrow = nullptr;
  TdxSkinElement* RibbonButtonGroup = nullptr;
  TdxSkinElement* RibbonStatusBarBackground = nullptr;
  TdxSkinElement* RibbonStatusBarButton = nullptr;
  TdxSkinElement* RibbonStatusBarSeparator = nullptr;
  std::array<TdxSkinElement*, 2> RibbonQuickToolbar{};
  TdxSkinElement* RibbonQuickToolbarBelow = nullptr;
  TdxSkinElement* RibbonQuickToolbarButtonGlyph = nullptr;
  TdxSkinElement* RibbonQuickToolbarDropDown = nullptr;
  TdxSkinElement* RibbonQuickToolbarGlyph = nullptr;
  TdxSkinElement* RibbonButtonGroupButton = nullptr;
  TdxSkinElement* RibbonButtonGroupSeparator = nullptr;
  TdxSkinElement* RibbonButtonGroupSplitButtonLeft = nullptr;
  TdxSkinElement* RibbonButtonGroupSplitButtonRight = nullptr;
  std::array<TdxSkinElement*, 2> RibbonGroupScroll{};
  TdxSkinElement* RibbonContextualTabLabel = nullptr;
  TdxSkinElement* RibbonContextualTabLabelOnGlass = nullptr;
  TdxSkinElement* RibbonContextualTabSeparator = nullptr;
  TdxSkinElement* RibbonContextualTabHeader = nullptr;
  TdxSkinElement* RibbonContextualTabPanel = nullptr;
  TdxSkinColor* RadialMenuBackgroundColor = nullptr;
  TdxSkinColor* RadialMenuBaseColor = nullptr;
  TdxSkinBooleanProperty* RibbonUseRoundedWindowCorners = nullptr;
  TdxSkinIntegerProperty* RibbonTabPanelBottomIndent = nullptr;
  TdxSkinColor* RibbonContextualTabLabelShadowColor = nullptr;
  TdxSkinColor* RibbonContextualTabLabelOnGlassShadowColor = nullptr;
  std::array<TdxSkinBooleanProperty*, 2> RibbonQATCustomizeButtonOutsizeQAT{};
  std::array<TdxSkinIntegerProperty*, 2> RibbonQATIndentBeforeCustomizeButton{};
  TdxSkinIntegerProperty* RibbonCaptionFontDelta = nullptr;
  TdxSkinIntegerProperty* RibbonSpaceBetweenTabGroups = nullptr;
  TdxSkinIntegerProperty* RibbonTabHeaderDownGrowIndent = nullptr;
  TdxSkinBooleanProperty* RibbonTabAeroSupport = nullptr;
  TdxSkinColor* RibbonEditorBackground = nullptr;
  TdxSkinColor* RibbonExtraPaneColor = nullptr;
  TdxSkinColor* RibbonExtraPaneHeaderSeparator = nullptr;
  std::array<vcl::TColor, 2> RibbonCaptionText{vcl::clDefault, vcl::clDefault};
  std::array<vcl::TColor, 2> RibbonTabText{vcl::clDefault, vcl::clDefault};
  vcl::TColor RibbonTabTextHot = vcl::clDefault;
  std::array<vcl::TColor, 2> RibbonContextualTabHeaderText{vcl::clDefault, vcl::clDefault};
  vcl::TColor RibbonContextualTabHeaderTextHot = vcl::clDefault;
  std::array<vcl::TColor, 2> RibbonDocumentNameTextColor{vcl::clDefault, vcl::clDefault};
  vcl::TColor RibbonStatusBarTextSelected = vcl::clDefault;
  std::array<vcl::TColor, 2> RibbonButtonText{vcl::clDefault, vcl::clDefault};

  // General colours of the skin
  TdxSkinColor* ContainerBorderColor = nullptr;
  TdxSkinColor* ContainerHighlightBorderColor = nullptr;
  TdxSkinColor* ContentColor = nullptr;
  TdxSkinColor* ContentEvenColor = nullptr;
  TdxSkinColor* ContentOddColor = nullptr;
  TdxSkinColor* ContentTextColor = nullptr;
  std::array<TdxSkinColor*, 2> DockControlHideBarTextColor{};
  TdxSkinColor* HeaderBackgroundColor = nullptr;
  TdxSkinColor* HeaderBackgroundTextColor = nullptr;
  TdxSkinColor* InactiveColor = nullptr;
  TdxSkinColor* InactiveTextColor = nullptr;
  TdxSkinColor* LayoutControlColor = nullptr;
  TdxSkinColor* SelectionColor = nullptr;
  TdxSkinColor* SelectionTextColor = nullptr;
  TdxSkinColor* TreeListGridLineColor = nullptr;
  TdxSkinColor* TreeListTreeLineColor = nullptr;
  TdxSkinColor* SpreadSheetContentColor = nullptr;
  TdxSkinColor* SpreadSheetContentTextColor = nullptr;
  TdxSkinColor* SpreadSheetFrozenPaneSeparatorColor = nullptr;
  TdxSkinColor* SpreadSheetSelectionColor = nullptr;
  TdxSkinColor* SpreadSheetGroupLineColor = nullptr;
  TdxSkinColor* GridLikeControlContentColor = nullptr;
  TdxSkinColor* GridLikeControlContentEvenColor = nullptr;
  TdxSkinColor* GridLikeControlContentOddColor = nullptr;
  TdxSkinColor* GridLikeControlContentTextColor = nullptr;
  TdxSkinColor* GridLikeControlBackgroundColor = nullptr;

 protected:
  // The lookups every resolution goes through.
  TdxSkinControlGroup* GetGroupByName(const rtl::String& AName);
  TdxSkinElement* GetElementByName(TdxSkinControlGroup* AGroup, const rtl::String& AName, bool ACreate = true);
  TdxSkinProperty* GetPropertyByName(TdxSkinPersistent* AOwner, const rtl::String& AName);
  // A property of that name but of another class reads as missing: a skin
  // must not be left half bound by one mistyped property.
  TdxSkinColor* GetColorByName(TdxSkinPersistent* AOwner, const rtl::String& AName);
  TdxSkinBooleanProperty* GetBoolPropertyByName(TdxSkinPersistent* AOwner, const rtl::String& AName);
  TdxSkinIntegerProperty* GetIntegerPropertyByName(TdxSkinPersistent* AOwner, const rtl::String& AName);
  TdxSkinRectProperty* GetRectPropertyByName(TdxSkinPersistent* AOwner, const rtl::String& AName);
  TdxSkinColor* GetSkinColorByName(const rtl::String& AName);
  // clDefault when the colour is missing.
  vcl::TColor GetColorValueByName(TdxSkinPersistent* AOwner, const rtl::String& AName);
  // The colour with its "<name>Alpha" integer (255 when missing).
  TdxAlphaColor GetAlphaColorValueByName(TdxSkinPersistent* AOwner, const rtl::String& AName);

 private:
  void InitializeGroups();
  void InitializeElements();
  void InitializeColors();
  void InitializeProperties();
  void InitializeScrollBarElements();
  void InitializeValues();
  void InitializeRibbonValues();
  void InitializeMapControlValues();
  void InitializeDrawCaches();

  TdxSkin* FSkin = nullptr;
};

using TdxSkinInfoClass = rtl::ClassOf<TdxSkinInfo>;

// The class the skin painter creates; the user skin derives its own.
class TdxSkinLookAndFeelPainterInfo : public TdxSkinInfo {
  RTL_CLASS(TdxSkinLookAndFeelPainterInfo, TdxSkinInfo)
};

using TdxSkinLookAndFeelPainterInfoClass = rtl::ClassOf<TdxSkinLookAndFeelPainterInfo>;

// ---------------------------------------------------------------------------
// The names the skin information resolves

// A group's own element; Created False marks a lookup that adds no
// placeholder.
struct TdxSkinInfoElementName {
  const wchar_t* Group;
  const wchar_t* Name;
  bool Created;
  TdxSkinElement*& (*Field)(TdxSkinInfo&);
};

// A colour: of the skin itself (Group nil), of a group (Element nil) or of
// an element of a group.
struct TdxSkinInfoColorName {
  const wchar_t* Group;
  const wchar_t* Element;
  const wchar_t* Name;
  TdxSkinColor*& (*Field)(TdxSkinInfo&);
};

// A property of a group or of one of its elements that is read by value or
// kept as a property reference; Kind is "Integer", "Boolean", "Rect",
// "Color" (a colour read as its value) or "AlphaColor" (a colour read with
// the integer of its name with "Alpha" appended).
struct TdxSkinInfoPropertyName {
  const wchar_t* Group;
  const wchar_t* Element;
  const wchar_t* Name;
  const wchar_t* Kind;
};

std::span<const wchar_t* const> dxSkinInfoGroupNames();
std::span<const TdxSkinInfoElementName> dxSkinInfoElementNames();
std::span<const TdxSkinInfoColorName> dxSkinInfoColorNames();
std::span<const TdxSkinInfoPropertyName> dxSkinInfoPropertyNames();

// ---------------------------------------------------------------------------
// TdxSkinElementHelper

class TdxSkinElementHelper : public rtl::TObject {
  RTL_CLASS(TdxSkinElementHelper, rtl::TObject)

 public:
  // As wide as the element's minimum size is in proportion to the caption
  // height; a fixed-size image makes both centre on whole pixels.
  static TSize CalculateCaptionButtonSize(int ACaptionHeight, TdxSkinElement* AElement);
  static bool IsAlternateImageSetUsed(TdxSkinElement* AElement, int AImageIndex, TdxSkinElementState AState);
};
