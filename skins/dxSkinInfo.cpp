#include "skins/dxSkinInfo.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphics.h"
#include "graphics/dxGDIPlusClasses.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"

using enum TcxScrollBarPart;
using enum TdxSkinObjectState;

namespace {

// ---------------------------------------------------------------------------
// The name tables, in the order they resolve.

#define KV_SKIN_ELEMENT(AGroup, AName, AField) \
  {AGroup, AName, true, [](TdxSkinInfo& I) -> TdxSkinElement*& { return I.AField; }}
#define KV_SKIN_ELEMENT_NOT_CREATED(AGroup, AName, AField) \
  {AGroup, AName, false, [](TdxSkinInfo& I) -> TdxSkinElement*& { return I.AField; }}
#define KV_SKIN_COLOR(AGroup, AElement, AName, AField) \
  {AGroup, AElement, AName, [](TdxSkinInfo& I) -> TdxSkinColor*& { return I.AField; }}

constexpr const wchar_t* kCommon = L"Common";
constexpr const wchar_t* kEditors = L"Editors";
constexpr const wchar_t* kForm = L"Form";
constexpr const wchar_t* kGrid = L"Grid";
constexpr const wchar_t* kVGrid = L"VerticalGrid";
constexpr const wchar_t* kScheduler = L"Scheduler";
constexpr const wchar_t* kTabs = L"PageControl";
constexpr const wchar_t* kBars = L"Bars";
constexpr const wchar_t* kDocking = L"Docking";
constexpr const wchar_t* kNavBar = L"NavBar";
constexpr const wchar_t* kNavPane = L"NavPane";
constexpr const wchar_t* kPDFViewer = L"PDFViewer";
constexpr const wchar_t* kPrinting = L"PrintingSystem";
constexpr const wchar_t* kRibbon = L"Ribbon";
constexpr const wchar_t* kRichEdit = L"RichEdit";
constexpr const wchar_t* kTileControl = L"TileControl";
constexpr const wchar_t* kMapControl = L"MapControl";

constexpr const wchar_t* kGroupNames[] = {
    L"Bars",      L"Common",        L"Docking",        L"Editors",      L"Form",       L"Grid",
    L"MapControl", L"NavBar",       L"NavPane",        L"PDFViewer",    L"PrintingSystem", L"Ribbon",
    L"RichEdit",  L"Scheduler",     L"PageControl",    L"TileControl",  L"VerticalGrid"};

TdxSkinControlGroup*& GroupField(TdxSkinInfo& I, int AIndex)
{
  TdxSkinControlGroup** fields[] = {
      &I.GroupBars,      &I.GroupCommon,         &I.GroupDocking, &I.GroupEditors,   &I.GroupForm,
      &I.GroupGrid,      &I.GroupMapControl,     &I.GroupNavBar,  &I.GroupNavPane,   &I.GroupPDFViewer,
      &I.GroupPrintingSystem, &I.GroupRibbon,    &I.GroupRichEdit, &I.GroupScheduler, &I.GroupTabs,
      &I.GroupTileControl, &I.GroupVGrid};
  return *fields[AIndex];
}

const TdxSkinInfoElementName kElementNames[] = {
    // Common
    KV_SKIN_ELEMENT(kCommon, L"AlertWindow", AlertWindow),
    KV_SKIN_ELEMENT(kCommon, L"AlertWindowButton", AlertWindowButton),
    KV_SKIN_ELEMENT(kCommon, L"AlertWindowButtonGlyphs", AlertWindowButtonGlyphs),
    KV_SKIN_ELEMENT(kCommon, L"AlertWindowCaption", AlertWindowCaption),
    KV_SKIN_ELEMENT(kCommon, L"AlertWindowNavigationPanel", AlertWindowNavigationPanel),
    KV_SKIN_ELEMENT(kCommon, L"AlertWindowNavigationPanelButton", AlertWindowNavigationPanelButton),
    KV_SKIN_ELEMENT(kCommon, L"BackButton", BackButton),
    KV_SKIN_ELEMENT(kCommon, L"Button", ButtonElements),
    KV_SKIN_ELEMENT(kCommon, L"DropDownButtonLeft", DropDownButtonLeft),
    KV_SKIN_ELEMENT(kCommon, L"DropDownButtonRight", DropDownButtonRight),
    KV_SKIN_ELEMENT(kCommon, L"LoadingBig", LoadingBig),
    KV_SKIN_ELEMENT(kCommon, L"GroupPanelNoBorder", GroupBoxClient),
    KV_SKIN_ELEMENT(kCommon, L"GroupButton", GroupButton),
    KV_SKIN_ELEMENT(kCommon, L"GroupButtonExpandGlyph", GroupButtonExpandGlyph),
    KV_SKIN_ELEMENT(kCommon, L"GaugeBackground", GaugeBackground),
    KV_SKIN_ELEMENT(kCommon, L"Header", Header),
    KV_SKIN_ELEMENT(kCommon, L"HeaderSpecial", HeaderSpecial),
    KV_SKIN_ELEMENT(kCommon, L"SortShape", SortGlyphs),
    KV_SKIN_ELEMENT(kCommon, L"HighlightedItem", HighlightedItem),
    KV_SKIN_ELEMENT(kCommon, L"SizeGrip", SizeGrip),
    KV_SKIN_ELEMENT(kCommon, L"Splitter", Splitter[0]),
    KV_SKIN_ELEMENT(kCommon, L"SplitterHorz", Splitter[1]),
    KV_SKIN_ELEMENT(kCommon, L"GroupPanelTop", GroupBoxElements[0]),
    KV_SKIN_ELEMENT(kCommon, L"GroupPanelBottom", GroupBoxElements[1]),
    KV_SKIN_ELEMENT(kCommon, L"GroupPanelLeft", GroupBoxElements[2]),
    KV_SKIN_ELEMENT(kCommon, L"GroupPanelRight", GroupBoxElements[3]),
    KV_SKIN_ELEMENT(kCommon, L"GroupPanel", GroupBoxElements[4]),
    KV_SKIN_ELEMENT(kCommon, L"GroupPanelCaptionTop", GroupBoxCaptionElements[0]),
    KV_SKIN_ELEMENT(kCommon, L"GroupPanelCaptionBottom", GroupBoxCaptionElements[1]),
    KV_SKIN_ELEMENT(kCommon, L"GroupPanelCaptionLeft", GroupBoxCaptionElements[2]),
    KV_SKIN_ELEMENT(kCommon, L"GroupPanelCaptionRight", GroupBoxCaptionElements[3]),
    KV_SKIN_ELEMENT_NOT_CREATED(kCommon, L"", GroupBoxCaptionElements[4]),
    // Bars
    KV_SKIN_ELEMENT(kBars, L"Bar", Bar),
    KV_SKIN_ELEMENT(kBars, L"BarCustomize", BarCustomize),
    KV_SKIN_ELEMENT(kBars, L"BarCustomizeVertical", BarCustomizeVertical),
    KV_SKIN_ELEMENT(kBars, L"BarDragGrip", BarDrag),
    KV_SKIN_ELEMENT(kBars, L"BarDragGripVertical", BarDragVertical),
    KV_SKIN_ELEMENT(kBars, L"MDIButtonClose", BarMDIButtonClose),
    KV_SKIN_ELEMENT(kBars, L"MDIButtonMinimize", BarMDIButtonMinimize),
    KV_SKIN_ELEMENT(kBars, L"MDIButtonRestore", BarMDIButtonRestore),
    KV_SKIN_ELEMENT(kBars, L"BarSeparator", BarSeparator),
    KV_SKIN_ELEMENT(kBars, L"BarVertical", BarVertical),
    KV_SKIN_ELEMENT(kBars, L"BarSeparatorVertical", BarVerticalSeparator),
    KV_SKIN_ELEMENT(kBars, L"Dock", Dock),
    KV_SKIN_ELEMENT(kBars, L"FloatBar", FloatingBar),
    KV_SKIN_ELEMENT(kBars, L"ItemSeparator", ItemSeparator),
    KV_SKIN_ELEMENT(kBars, L"LinkStatic", LinkBorderPainter),
    KV_SKIN_ELEMENT(kBars, L"LinkSelected", LinkSelected),
    KV_SKIN_ELEMENT(kBars, L"MainMenu", MainMenu),
    KV_SKIN_ELEMENT_NOT_CREATED(kBars, L"MainMenuCustomize", MainMenuCustomize),
    KV_SKIN_ELEMENT_NOT_CREATED(kBars, L"MainMenuDrag", MainMenuDrag),
    KV_SKIN_ELEMENT(kBars, L"MainMenuLinkSelected", MainMenuLinkSelected),
    KV_SKIN_ELEMENT(kBars, L"MainMenuVertical", MainMenuVertical),
    KV_SKIN_ELEMENT(kBars, L"PopupMenu", PopupMenu),
    KV_SKIN_ELEMENT(kBars, L"PopupMenuCheck", PopupMenuCheck),
    KV_SKIN_ELEMENT(kBars, L"PopupMenuExpandButton", PopupMenuExpandButton),
    KV_SKIN_ELEMENT(kBars, L"PopupMenuLinkSelected", PopupMenuLinkSelected),
    KV_SKIN_ELEMENT(kBars, L"PopupMenuSeparator", PopupMenuSeparator),
    KV_SKIN_ELEMENT(kBars, L"PopupMenuSideStrip", PopupMenuSideStrip),
    KV_SKIN_ELEMENT(kBars, L"PopupMenuSideStripNonRecent", PopupMenuSideStripNonRecent),
    KV_SKIN_ELEMENT(kBars, L"PopupMenuDropDownButtonLabel", PopupMenuSplitButton),
    KV_SKIN_ELEMENT(kBars, L"PopupMenuDropDownButtonArrow", PopupMenuSplitButton2),
    KV_SKIN_ELEMENT(kBars, L"StatusBar", FormStatusBar),
    KV_SKIN_ELEMENT(kBars, L"ScreenTipWindow", ScreenTipWindow),
    KV_SKIN_ELEMENT(kBars, L"ScreenTipSeparator", ScreenTipSeparator),
    // Docking
    KV_SKIN_ELEMENT(kDocking, L"TabHeaderAutoHideBar", DockControlHideBarButtons),
    KV_SKIN_ELEMENT(kDocking, L"TabButtonHorz", DockControlTabButtonHorz),
    KV_SKIN_ELEMENT(kDocking, L"TabButtonVert", DockControlTabButtonVert),
    KV_SKIN_ELEMENT(kDocking, L"TabHeader", DockControlTabHeader),
    KV_SKIN_ELEMENT(kDocking, L"TabHeaderBackground", DockControlTabHeaderBackground),
    KV_SKIN_ELEMENT(kDocking, L"TabHeaderCloseButton", DockControlTabHeaderCloseButton),
    KV_SKIN_ELEMENT(kDocking, L"TabHeaderLine", DockControlTabHeaderLine),
    KV_SKIN_ELEMENT(kDocking, L"DockWindowButton", DockControlWindowButton),
    KV_SKIN_ELEMENT(kDocking, L"DockWindowButtonGlyphs", DockControlWindowButtonGlyphs),
    KV_SKIN_ELEMENT(kDocking, L"AutoHideBar", DockControlHideBar),
    KV_SKIN_ELEMENT(kDocking, L"AutoHideBarLeft", DockControlHideBarLeft),
    KV_SKIN_ELEMENT(kDocking, L"AutoHideBarRight", DockControlHideBarRight),
    KV_SKIN_ELEMENT(kDocking, L"AutoHideBarBottom", DockControlHideBarBottom),
    KV_SKIN_ELEMENT(kDocking, L"DockWindowCaption", DockControlCaption),
    KV_SKIN_ELEMENT(kDocking, L"DockWindowBorder", DockControlBorder),
    // Editors
    KV_SKIN_ELEMENT(kEditors, L"CalendarNavigationButton", CalendarNavigationButton),
    KV_SKIN_ELEMENT(kEditors, L"Checkbox", CheckboxElement),
    KV_SKIN_ELEMENT(kEditors, L"ClockFace", ClockElements[0]),
    KV_SKIN_ELEMENT(kEditors, L"ClockGlass", ClockElements[1]),
    KV_SKIN_ELEMENT(kEditors, L"RadioButton", RadioGroupButton),
    KV_SKIN_ELEMENT(kEditors, L"RatingIndicator", RatingIndicator),
    KV_SKIN_ELEMENT(kEditors, L"ZoomInButton", ZoomInButton),
    KV_SKIN_ELEMENT(kEditors, L"ZoomOutButton", ZoomOutButton),
    KV_SKIN_ELEMENT(kEditors, L"LabelLine", LabelLine[0]),
    KV_SKIN_ELEMENT(kEditors, L"LabelLineVert", LabelLine[1]),
    KV_SKIN_ELEMENT(kEditors, L"EditorButton", EditButtonElements[0]),
    KV_SKIN_ELEMENT(kEditors, L"CloseButton", EditButtonElements[1]),
    KV_SKIN_ELEMENT(kEditors, L"CloseButton", EditButtonGlyphs[0]),
    KV_SKIN_ELEMENT(kEditors, L"ComboButtonGlyph", EditButtonGlyphs[1]),
    KV_SKIN_ELEMENT(kEditors, L"EditorButton", EditButtonGlyphs[2]),
    KV_SKIN_ELEMENT(kEditors, L"EditorButton", EditButtonGlyphs[3]),
    KV_SKIN_ELEMENT(kEditors, L"SpinUpGlyph", EditButtonGlyphs[4]),
    KV_SKIN_ELEMENT(kEditors, L"SpinDownGlyph", EditButtonGlyphs[5]),
    KV_SKIN_ELEMENT(kEditors, L"SpinLeftGlyph", EditButtonGlyphs[6]),
    KV_SKIN_ELEMENT(kEditors, L"SpinRightGlyph", EditButtonGlyphs[7]),
    KV_SKIN_ELEMENT(kEditors, L"SearchButtonGlyph", EditButtonSearchGlyph),
    KV_SKIN_ELEMENT(kEditors, L"SliderArrowTop", SliderArrow[0]),
    KV_SKIN_ELEMENT(kEditors, L"SliderArrowBottom", SliderArrow[1]),
    KV_SKIN_ELEMENT(kEditors, L"SliderArrowLeft", SliderArrow[2]),
    KV_SKIN_ELEMENT(kEditors, L"SliderArrowRight", SliderArrow[3]),
    KV_SKIN_ELEMENT(kEditors, L"GalleryBackground", GalleryBackground),
    KV_SKIN_ELEMENT(kEditors, L"GalleryGroup", GalleryGroup),
    KV_SKIN_ELEMENT(kEditors, L"GalleryItem", GalleryItem),
    KV_SKIN_ELEMENT(kEditors, L"GalleryItemGlyphFrame", GalleryItemGlyphFrame),
    KV_SKIN_ELEMENT(kEditors, L"NavigatorButton", NavigatorButton),
    KV_SKIN_ELEMENT(kEditors, L"Navigator", NavigatorGlyphs),
    KV_SKIN_ELEMENT(kEditors, L"NavigatorVert", NavigatorGlyphsVert),
    KV_SKIN_ELEMENT(kEditors, L"ProgressBorder", ProgressBarElements[0]),
    KV_SKIN_ELEMENT(kEditors, L"ProgressBorderVert", ProgressBarElements[1]),
    KV_SKIN_ELEMENT(kEditors, L"ProgressChunk", ProgressBarElements[2]),
    KV_SKIN_ELEMENT(kEditors, L"ProgressChunkVert", ProgressBarElements[3]),
    KV_SKIN_ELEMENT(kEditors, L"ToggleSwitch", ToggleSwitch),
    KV_SKIN_ELEMENT(kEditors, L"ToggleSwitchThumb", ToggleSwitchThumb),
    KV_SKIN_ELEMENT(kEditors, L"RangeTrackBarThumbLeft", RangeTrackBarThumbLeft),
    KV_SKIN_ELEMENT(kEditors, L"RangeTrackBarThumbRight", RangeTrackBarThumbRight),
    KV_SKIN_ELEMENT(kEditors, L"RangeTrackBarThumbBoth", RangeTrackBarThumbBoth),
    KV_SKIN_ELEMENT(kEditors, L"TrackBarTrackVert", TrackBarTrack[0]),
    KV_SKIN_ELEMENT(kEditors, L"TrackBarTrack", TrackBarTrack[1]),
    KV_SKIN_ELEMENT(kEditors, L"TrackBarThumbVertUp", TrackBarThumb[0][0]),
    KV_SKIN_ELEMENT(kEditors, L"TrackBarThumbVert", TrackBarThumb[0][1]),
    KV_SKIN_ELEMENT(kEditors, L"TrackBarThumbVertBoth", TrackBarThumb[0][2]),
    KV_SKIN_ELEMENT(kEditors, L"TrackBarThumbUp", TrackBarThumb[1][0]),
    KV_SKIN_ELEMENT(kEditors, L"TrackBarThumb", TrackBarThumb[1][1]),
    KV_SKIN_ELEMENT(kEditors, L"TrackBarThumbBoth", TrackBarThumb[1][2]),
    // Breadcrumb edit and range control
    KV_SKIN_ELEMENT(kEditors, L"BreadcrumbEditButton", BreadcrumbEditButton),
    KV_SKIN_ELEMENT(kEditors, L"BreadcrumbEditButtonsAreaSeparator", BreadcrumbEditButtonsAreaSeparator),
    KV_SKIN_ELEMENT(kEditors, L"BreadcrumbEditDropDownButton", BreadcrumbEditDropDownButton),
    KV_SKIN_ELEMENT(kEditors, L"BreadcrumbEditNodeButton", BreadcrumbEditNodeButton),
    KV_SKIN_ELEMENT(kEditors, L"BreadcrumbEditNodeSplitButtonLeft", BreadcrumbEditNodeSplitButtonLeft),
    KV_SKIN_ELEMENT(kEditors, L"BreadcrumbEditNodeSplitButtonRight", BreadcrumbEditNodeSplitButtonRight),
    KV_SKIN_ELEMENT(kEditors, L"BreadcrumbEditProgressChunk", BreadcrumbEditProgressChunk),
    KV_SKIN_ELEMENT(kEditors, L"BreadcrumbEditProgressChunkOverlay", BreadcrumbEditProgressChunkOverlay),
    KV_SKIN_ELEMENT(kEditors, L"RangeControlBorder", RangeControlBorder),
    KV_SKIN_ELEMENT(kEditors, L"RangeControlLeftThumb", RangeControlLeftThumb),
    KV_SKIN_ELEMENT(kEditors, L"RangeControlRightThumb", RangeControlRightThumb),
    KV_SKIN_ELEMENT(kEditors, L"RangeControlRulerHeader", RangeControlRulerHeader),
    KV_SKIN_ELEMENT(kEditors, L"RangeControlSizingGlyph", RangeControlSizingGlyph),
    // Form
    KV_SKIN_ELEMENT(kForm, L"FormContent", FormContent),
    KV_SKIN_ELEMENT(kForm, L"FormFrameLeft", FormFrames[0][0]),
    KV_SKIN_ELEMENT(kForm, L"SmallFormCaption", FormFrames[0][1]),
    KV_SKIN_ELEMENT(kForm, L"FormFrameRight", FormFrames[0][2]),
    KV_SKIN_ELEMENT(kForm, L"FormFrameBottom", FormFrames[0][3]),
    KV_SKIN_ELEMENT(kForm, L"FormFrameLeft", FormFrames[1][0]),
    KV_SKIN_ELEMENT(kForm, L"FormCaption", FormFrames[1][1]),
    KV_SKIN_ELEMENT(kForm, L"FormFrameRight", FormFrames[1][2]),
    KV_SKIN_ELEMENT(kForm, L"FormFrameBottom", FormFrames[1][3]),
    KV_SKIN_ELEMENT(kForm, L"SmallFormButtonClose", FormIcons[0][5]),
    KV_SKIN_ELEMENT(kForm, L"FormButtonHelp", FormIcons[1][1]),
    KV_SKIN_ELEMENT(kForm, L"FormButtonMinimize", FormIcons[1][2]),
    KV_SKIN_ELEMENT(kForm, L"FormButtonMaximize", FormIcons[1][3]),
    KV_SKIN_ELEMENT(kForm, L"FormButtonRestore", FormIcons[1][4]),
    KV_SKIN_ELEMENT(kForm, L"FormButtonClose", FormIcons[1][5]),
    // Grid
    KV_SKIN_ELEMENT(kGrid, L"PlusMinus", ExpandButton),
    KV_SKIN_ELEMENT(kGrid, L"SmartFilterButton", SmartFilterButton),
    KV_SKIN_ELEMENT(kGrid, L"GridFilterPanel", FilterPanel),
    KV_SKIN_ELEMENT(kGrid, L"FilterButton", FilterButtons[0]),
    KV_SKIN_ELEMENT(kGrid, L"FilterButtonActive", FilterButtons[1]),
    KV_SKIN_ELEMENT(kGrid, L"FooterCell", FooterCell),
    KV_SKIN_ELEMENT(kGrid, L"FooterPanel", FooterPanel),
    KV_SKIN_ELEMENT(kGrid, L"GridFixedLine", GridFixedLine),
    KV_SKIN_ELEMENT(kGrid, L"CardSeparator", CardViewSeparator),
    KV_SKIN_ELEMENT(kGrid, L"GridGroupPanel", GridGroupByBox),
    KV_SKIN_ELEMENT(kGrid, L"GroupRow", GridGroupRow),
    KV_SKIN_ELEMENT(kGrid, L"GridLine", GridLine),
    KV_SKIN_ELEMENT(kGrid, L"IndicatorImages", IndicatorImages),
    KV_SKIN_ELEMENT(kGrid, L"LayoutViewItem", LayoutViewItem),
    KV_SKIN_ELEMENT(kGrid, L"LayoutViewRecordExpandButton", LayoutViewRecordExpandButton),
    // WinExplorer and layout views
    KV_SKIN_ELEMENT(kGrid, L"WinExplorerViewGroup", GridWinExplorerViewGroup),
    KV_SKIN_ELEMENT(kGrid, L"WinExplorerViewGroupCaptionLine", GridWinExplorerViewGroupCaptionLine),
    KV_SKIN_ELEMENT(kGrid, L"WinExplorerViewGroupExpandButton", GridWinExplorerViewGroupExpandButton),
    KV_SKIN_ELEMENT(kGrid, L"WinExplorerViewRecord", GridWinExplorerViewRecord),
    KV_SKIN_ELEMENT(kGrid, L"LayoutViewRecordTop", LayoutViewRecordElements[0]),
    KV_SKIN_ELEMENT(kGrid, L"LayoutViewRecordBottom", LayoutViewRecordElements[1]),
    KV_SKIN_ELEMENT(kGrid, L"LayoutViewRecordLeft", LayoutViewRecordElements[2]),
    KV_SKIN_ELEMENT(kGrid, L"LayoutViewRecordRight", LayoutViewRecordElements[3]),
    KV_SKIN_ELEMENT(kGrid, L"LayoutViewRecord", LayoutViewRecordElements[4]),
    KV_SKIN_ELEMENT(kGrid, L"LayoutViewRecordCaptionTop", LayoutViewRecordCaptionElements[0]),
    KV_SKIN_ELEMENT(kGrid, L"LayoutViewRecordCaptionBottom", LayoutViewRecordCaptionElements[1]),
    KV_SKIN_ELEMENT(kGrid, L"LayoutViewRecordCaptionLeft", LayoutViewRecordCaptionElements[2]),
    KV_SKIN_ELEMENT(kGrid, L"LayoutViewRecordCaptionRight", LayoutViewRecordCaptionElements[3]),
    KV_SKIN_ELEMENT_NOT_CREATED(kGrid, L"", LayoutViewRecordCaptionElements[4]),
    // Vertical grid
    KV_SKIN_ELEMENT(kVGrid, L"Category", VGridCategory),
    KV_SKIN_ELEMENT(kVGrid, L"GridLine", VGridLine[0]),
    KV_SKIN_ELEMENT(kVGrid, L"BandBorder", VGridLine[1]),
    KV_SKIN_ELEMENT(kVGrid, L"RowHeader", VGridRowHeader),
    // Navigation bar
    KV_SKIN_ELEMENT(kNavBar, L"AccordionControlBackground", NavBarAccordionControlBackground),
    KV_SKIN_ELEMENT(kNavBar, L"AccordionControlGroup", NavBarAccordionControlGroup),
    KV_SKIN_ELEMENT(kNavBar, L"AccordionControlGroupCloseButton", NavBarAccordionControlGroupCloseButton),
    KV_SKIN_ELEMENT(kNavBar, L"AccordionControlGroupOpenButton", NavBarAccordionControlGroupOpenButton),
    KV_SKIN_ELEMENT(kNavBar, L"AccordionControlItem", NavBarAccordionControlItem),
    KV_SKIN_ELEMENT(kNavBar, L"AccordionControlRootGroup", NavBarAccordionControlRootGroup),
    KV_SKIN_ELEMENT(kNavBar, L"AccordionControlRootGroupCloseButton", NavBarAccordionControlRootGroupCloseButton),
    KV_SKIN_ELEMENT(kNavBar, L"AccordionControlRootGroupOpenButton", NavBarAccordionControlRootGroupOpenButton),
    KV_SKIN_ELEMENT(kNavBar, L"AccordionControlSearchButton", NavBarAccordionControlSearchButton),
    KV_SKIN_ELEMENT(kNavBar, L"Background", NavBarBackgroundColor),
    KV_SKIN_ELEMENT(kNavBar, L"GroupClient", NavBarGroupClient),
    KV_SKIN_ELEMENT(kNavBar, L"Item", NavBarItem),
    KV_SKIN_ELEMENT(kNavBar, L"GroupHeader", NavBarGroupHeader),
    KV_SKIN_ELEMENT(kNavBar, L"GroupOpenButton", NavBarGroupButtons[0]),
    KV_SKIN_ELEMENT(kNavBar, L"GroupCloseButton", NavBarGroupButtons[1]),
    // Navigation pane
    KV_SKIN_ELEMENT(kNavPane, L"CollapseButton", NavPaneCollapseButton),
    KV_SKIN_ELEMENT(kNavPane, L"CollapsedGroupClient", NavPaneCollapsedGroupClient),
    KV_SKIN_ELEMENT(kNavPane, L"ExpandButton", NavPaneExpandButton),
    KV_SKIN_ELEMENT(kNavPane, L"PopupBorder", NavPaneFormBorder),
    KV_SKIN_ELEMENT(kNavPane, L"PopupSizeGrip", NavPaneFormSizeGrip),
    KV_SKIN_ELEMENT(kNavPane, L"GroupButton", NavPaneGroupButton[0]),
    KV_SKIN_ELEMENT(kNavPane, L"GroupButtonSelected", NavPaneGroupButton[1]),
    KV_SKIN_ELEMENT(kNavPane, L"Caption", NavPaneGroupCaption),
    KV_SKIN_ELEMENT(kNavPane, L"Splitter", NavPaneSplitter),
    KV_SKIN_ELEMENT(kNavPane, L"ScrollUpButton", NavPaneScrollButtons[0]),
    KV_SKIN_ELEMENT(kNavPane, L"ScrollDownButton", NavPaneScrollButtons[1]),
    KV_SKIN_ELEMENT(kNavPane, L"OverflowPanel", NavPaneOverflowPanel),
    KV_SKIN_ELEMENT(kNavPane, L"OverflowPanelItem", NavPaneOverflowPanelItem),
    KV_SKIN_ELEMENT(kNavPane, L"OverflowPanelExpandItem", NavPaneOverflowPanelExpandedItem),
    KV_SKIN_ELEMENT(kNavPane, L"GroupClient", NavPaneGroupClient),
    KV_SKIN_ELEMENT(kNavPane, L"Item", NavPaneItem),
    KV_SKIN_ELEMENT(kNavPane, L"ItemSelected", NavPaneSelectedItem),
    KV_SKIN_ELEMENT(kNavPane, L"OfficeNavigationBar", NavPaneOfficeNavigationBar),
    KV_SKIN_ELEMENT(kNavPane, L"OfficeNavigationBarItem", NavPaneOfficeNavigationBarItem),
    KV_SKIN_ELEMENT(kNavPane, L"OfficeNavigationBarSkinningItem", NavPaneOfficeNavigationBarSkinningItem),
    // Scheduler
    KV_SKIN_ELEMENT(kScheduler, L"TimeGridHeader", SchedulerTimeGridHeader[0]),
    KV_SKIN_ELEMENT(kScheduler, L"TimeGridHeaderSelected", SchedulerTimeGridHeader[1]),
    KV_SKIN_ELEMENT(kScheduler, L"Ruler", SchedulerTimeRuler),
    KV_SKIN_ELEMENT(kScheduler, L"AppointmentRightBorder", SchedulerAppointment[0]),
    KV_SKIN_ELEMENT(kScheduler, L"Appointment", SchedulerAppointment[1]),
    KV_SKIN_ELEMENT(kScheduler, L"AllDayArea", SchedulerAllDayArea[0]),
    KV_SKIN_ELEMENT(kScheduler, L"AllDayAreaSelected", SchedulerAllDayArea[1]),
    // Scheduler, further
    KV_SKIN_ELEMENT(kScheduler, L"DefaultTimeLine", SchedulerTimeLine),
    KV_SKIN_ELEMENT(kScheduler, L"MoreButton", SchedulerMoreButton),
    KV_SKIN_ELEMENT(kScheduler, L"CurrentTimeIndicator", SchedulerCurrentTimeIndicator),
    KV_SKIN_ELEMENT(kScheduler, L"AppointmentBottomShadow", SchedulerAppointmentShadow[0]),
    KV_SKIN_ELEMENT(kScheduler, L"AppointmentRightShadow", SchedulerAppointmentShadow[1]),
    KV_SKIN_ELEMENT(kScheduler, L"AppointmentMask", SchedulerAppointmentMask),
    KV_SKIN_ELEMENT(kScheduler, L"Group", SchedulerGroup),
    KV_SKIN_ELEMENT(kScheduler, L"Milestone", SchedulerMilestone),
    KV_SKIN_ELEMENT(kScheduler, L"NavButtonPrev", SchedulerNavigationButtons[0]),
    KV_SKIN_ELEMENT(kScheduler, L"NavButtonNext", SchedulerNavigationButtons[1]),
    KV_SKIN_ELEMENT(kScheduler, L"NavButtonPrevArrow", SchedulerNavigationButtonsArrow[0]),
    KV_SKIN_ELEMENT(kScheduler, L"NavButtonNextArrow", SchedulerNavigationButtonsArrow[1]),
    KV_SKIN_ELEMENT(kScheduler, L"TimeGridCurrentTimeIndicator", SchedulerTimeGridCurrentTimeIndicator),
    KV_SKIN_ELEMENT(kScheduler, L"LabelCircle", SchedulerLabelCircle),
    // Page control
    KV_SKIN_ELEMENT(kTabs, L"TabHeader", PageControlHeader),
    KV_SKIN_ELEMENT(kTabs, L"TabButton", PageControlButton),
    KV_SKIN_ELEMENT(kTabs, L"TabButtonHorz", PageControlButtonHorz),
    KV_SKIN_ELEMENT(kTabs, L"TabButtonVert", PageControlButtonVert),
    KV_SKIN_ELEMENT(kTabs, L"TabHeaderButton", PageControlHeaderButton),
    KV_SKIN_ELEMENT(kTabs, L"TabHeaderCloseButton", PageControlCloseButton),
    KV_SKIN_ELEMENT(kTabs, L"TabPane", PageControlPane),
    // PDF viewer
    KV_SKIN_ELEMENT(kPDFViewer, L"FindPanel", PDFViewerFindPanel),
    KV_SKIN_ELEMENT(kPDFViewer, L"NavigationPaneBackground", PDFViewerNavigationPaneBackground),
    KV_SKIN_ELEMENT(kPDFViewer, L"NavigationPaneButton", PDFViewerNavigationPaneButton),
    KV_SKIN_ELEMENT(kPDFViewer, L"NavigationPaneButtonArrow", PDFViewerNavigationPaneButtonArrow),
    KV_SKIN_ELEMENT(kPDFViewer, L"NavigationPaneButtonMinimized", PDFViewerNavigationPaneButtonMinimized),
    KV_SKIN_ELEMENT(kPDFViewer, L"NavigationPanePageBackground", PDFViewerNavigationPanePageBackground),
    KV_SKIN_ELEMENT(kPDFViewer, L"NavigationPanePageButton", PDFViewerNavigationPanePageButton),
    KV_SKIN_ELEMENT(kPDFViewer, L"NavigationPanePageCaption", PDFViewerNavigationPanePageCaption),
    // Printing system
    KV_SKIN_ELEMENT(kPrinting, L"PageBorder", PrintingPageBorder),
    KV_SKIN_ELEMENT(kPrinting, L"PreviewBackground", PrintingPreviewBackground),
    // Rich edit
    KV_SKIN_ELEMENT(kRichEdit, L"CornerPanel", RichEditCornerPanel),
    KV_SKIN_ELEMENT(kRichEdit, L"RulerBackgroundHorz", RichEditRulerBackgroundHorz),
    KV_SKIN_ELEMENT(kRichEdit, L"RulerBackgroundVert", RichEditRulerBackgroundVert),
    KV_SKIN_ELEMENT(kRichEdit, L"RulerColumnResizer", RichEditRulerColumnResizer),
    KV_SKIN_ELEMENT(kRichEdit, L"RulerIndent", RichEditRulerIndent),
    KV_SKIN_ELEMENT(kRichEdit, L"RulerIndentBottom", RichEditRulerIndentBottom),
    KV_SKIN_ELEMENT(kRichEdit, L"RulerRightMargin", RichEditRulerRightMargin),
    KV_SKIN_ELEMENT(kRichEdit, L"RulerSection", RichEditRulerSection),
    KV_SKIN_ELEMENT(kRichEdit, L"RulerTab", RichEditRulerTab),
    KV_SKIN_ELEMENT(kRichEdit, L"RulerTabTypeBackground", RichEditRulerTabTypeBackground),
    // Tile control
    KV_SKIN_ELEMENT(kTileControl, L"ActionBar", TileControlActionBar),
    KV_SKIN_ELEMENT(kTileControl, L"Background", TileControlBackground),
    KV_SKIN_ELEMENT(kTileControl, L"Item", TileControlItem),
    KV_SKIN_ELEMENT(kTileControl, L"ItemCheck", TileControlItemCheck),
    KV_SKIN_ELEMENT(kTileControl, L"GroupCaption", TileControlGroupCaption),
    KV_SKIN_ELEMENT(kTileControl, L"VirtualGroup", TileControlVirtualGroup),
    KV_SKIN_ELEMENT(kTileControl, L"Title", TileControlTitle),
    KV_SKIN_ELEMENT(kTileControl, L"TabHeader", TileControlTabHeader),
    // Map control
    KV_SKIN_ELEMENT(kMapControl, L"CustomElement", MapControlCustomElement),
    KV_SKIN_ELEMENT(kMapControl, L"Callout", MapControlCallout),
    KV_SKIN_ELEMENT(kMapControl, L"Pushpin", MapControlPushpin),
    // Ribbon
    KV_SKIN_ELEMENT(kRibbon, L"AppMenuBackground", RibbonApplicationBackground),
    KV_SKIN_ELEMENT(kRibbon, L"FormAppButton", RibbonApplicationButton),
    KV_SKIN_ELEMENT(kRibbon, L"FormAppButton2010", RibbonApplicationButton2010),
    KV_SKIN_ELEMENT(kRibbon, L"AppMenuBackgroundBottom", RibbonApplicationFooterBackground),
    KV_SKIN_ELEMENT(kRibbon, L"AppMenuBackgroundTop", RibbonApplicationHeaderBackground),
    KV_SKIN_ELEMENT_NOT_CREATED(kRibbon, L"AppMenuExtraPanePinButtonGlyph", RibbonExtraPanePinButtonGlyph),
    KV_SKIN_ELEMENT(kRibbon, L"AppMenuExtraPaneButton", RibbonExtraPaneButton),
    KV_SKIN_ELEMENT(kRibbon, L"BackstageViewBackground", RibbonBackstageView),
    KV_SKIN_ELEMENT(kRibbon, L"BackstageViewBackButton", RibbonBackstageViewBackButton),
    KV_SKIN_ELEMENT(kRibbon, L"BackstageViewImage", RibbonBackstageViewImage),
    KV_SKIN_ELEMENT(kRibbon, L"BackstageViewMenuBackground", RibbonBackstageViewMenu),
    KV_SKIN_ELEMENT(kRibbon, L"BackstageViewMenuHeader", RibbonBackstageViewMenuHeader),
    KV_SKIN_ELEMENT(kRibbon, L"BackstageViewMenuButton", RibbonBackstageViewMenuButton),
    KV_SKIN_ELEMENT(kRibbon, L"BackstageViewMenuSeparator", RibbonBackstageViewMenuSeparator),
    KV_SKIN_ELEMENT(kRibbon, L"BackstageViewTabHeader", RibbonBackstageViewTab),
    KV_SKIN_ELEMENT_NOT_CREATED(kRibbon, L"BackstageViewTabHeaderArrow", RibbonBackstageViewTabArrow),
    KV_SKIN_ELEMENT(kRibbon, L"TabGroupCollapsed", RibbonCollapsedToolBarBackground),
    KV_SKIN_ELEMENT(kRibbon, L"TabGroupCollapsedBox", RibbonCollapsedToolBarGlyphBackground),
    KV_SKIN_ELEMENT(kRibbon, L"FormButtonAutoHideModeShowUI", RibbonFormButtonAutoHideModeShowUI),
    KV_SKIN_ELEMENT(kRibbon, L"FormButtonDisplayOptions", RibbonFormButtonDisplayOptions),
    KV_SKIN_ELEMENT(kRibbon, L"FormButtonClose", RibbonFormButtonClose),
    KV_SKIN_ELEMENT(kRibbon, L"FormButtonHelp", RibbonFormButtonHelp),
    KV_SKIN_ELEMENT(kRibbon, L"FormButtonMaximize", RibbonFormButtonMaximize),
    KV_SKIN_ELEMENT(kRibbon, L"FormButtonMinimize", RibbonFormButtonMinimize),
    KV_SKIN_ELEMENT(kRibbon, L"FormButtonRestore", RibbonFormButtonRestore),
    KV_SKIN_ELEMENT(kRibbon, L"FormCaption", RibbonFormCaption),
    KV_SKIN_ELEMENT_NOT_CREATED(kRibbon, L"FormCaptionRibbonHidden", RibbonFormCaptionRibbonHidden),
    KV_SKIN_ELEMENT(kRibbon, L"FormContent", RibbonFormContent),
    KV_SKIN_ELEMENT(kRibbon, L"FormFrameBottom", RibbonFormBottom[0]),
    KV_SKIN_ELEMENT(kRibbon, L"DialogFrameBottom", RibbonFormBottom[1]),
    KV_SKIN_ELEMENT(kRibbon, L"FormFrameLeft", RibbonFormLeft[0]),
    KV_SKIN_ELEMENT(kRibbon, L"DialogFrameLeft", RibbonFormLeft[1]),
    KV_SKIN_ELEMENT(kRibbon, L"FormFrameRight", RibbonFormRight[0]),
    KV_SKIN_ELEMENT(kRibbon, L"DialogFrameRight", RibbonFormRight[1]),
    KV_SKIN_ELEMENT(kRibbon, L"MinimizeButtonGlyph", RibbonMinimizeButtonGlyph),
    KV_SKIN_ELEMENT(kRibbon, L"Tab", RibbonTab),
    KV_SKIN_ELEMENT(kRibbon, L"TabPanel", RibbonTabPanel),
    KV_SKIN_ELEMENT(kRibbon, L"TabGroupButton", RibbonTabPanelGroupButton),
    KV_SKIN_ELEMENT(kRibbon, L"TabSeparatorLine", RibbonTabSeparatorLine),
    KV_SKIN_ELEMENT(kRibbon, L"TabGroup", RibbonTabGroup),
    KV_SKIN_ELEMENT(kRibbon, L"TabGroupCaption", RibbonTabGroupHeader),
    KV_SKIN_ELEMENT(kRibbon, L"TabGroupItemsSeparator", RibbonTabGroupItemsSeparator),
    KV_SKIN_ELEMENT(kRibbon, L"DropDownGalleryBackground", RibbonGalleryBackground),
    KV_SKIN_ELEMENT(kRibbon, L"InRibbonGalleryButtonDown", RibbonGalleryButtonDown),
    KV_SKIN_ELEMENT(kRibbon, L"InRibbonGalleryButtonDropDown", RibbonGalleryButtonDropDown),
    KV_SKIN_ELEMENT(kRibbon, L"InRibbonGalleryButtonUp", RibbonGalleryButtonUp),
    KV_SKIN_ELEMENT(kRibbon, L"DropDownGalleryGroupHeader", RibbonGalleryGroupCaption),
    KV_SKIN_ELEMENT(kRibbon, L"InRibbonGalleryPane", RibbonGalleryPane),
    KV_SKIN_ELEMENT(kRibbon, L"DropDownGallerySizePanel", RibbonGallerySizingPanel),
    KV_SKIN_ELEMENT(kRibbon, L"DropDownGallerySizeGrip", RibbonGallerySizeGrips),
    KV_SKIN_ELEMENT(kRibbon, L"TabBackground", RibbonHeaderBackground),
    KV_SKIN_ELEMENT(kRibbon, L"TabBackgroundOnGlass", RibbonHeaderBackgroundOnGlass),
    KV_SKIN_ELEMENT(kRibbon, L"Button", RibbonSmallButton),
    KV_SKIN_ELEMENT(kRibbon, L"SplitButtonLeft", RibbonSplitButtonLeft),
    KV_SKIN_ELEMENT(kRibbon, L"SplitButtonRight", RibbonSplitButtonRight),
    KV_SKIN_ELEMENT(kRibbon, L"KeyTip", RibbonKeyTip),
    KV_SKIN_ELEMENT(kRibbon, L"LargeButton", RibbonLargeButton),
    KV_SKIN_ELEMENT(kRibbon, L"LargeSplitButtonTop", RibbonLargeSplitButtonTop),
    KV_SKIN_ELEMENT(kRibbon, L"LargeSplitButtonBottom", RibbonLargeSplitButtonBottom),
    KV_SKIN_ELEMENT(kRibbon, L"ButtonArrow", RibbonButtonArrow),
    KV_SKIN_ELEMENT(kRibbon, L"ButtonGroup", RibbonButtonGroup),
    KV_SKIN_ELEMENT(kRibbon, L"StatusBarBackground", RibbonStatusBarBackground),
    KV_SKIN_ELEMENT(kRibbon, L"StatusBarButton", RibbonStatusBarButton),
    KV_SKIN_ELEMENT(kRibbon, L"StatusBarSeparator", RibbonStatusBarSeparator),
    KV_SKIN_ELEMENT(kRibbon, L"QATAboveBackground", RibbonQuickToolbar[0]),
    KV_SKIN_ELEMENT(kRibbon, L"QATInRibbonBackground", RibbonQuickToolbar[1]),
    KV_SKIN_ELEMENT(kRibbon, L"QATBelowBackground", RibbonQuickToolbarBelow),
    KV_SKIN_ELEMENT(kRibbon, L"QATButtonGlyph", RibbonQuickToolbarButtonGlyph),
    KV_SKIN_ELEMENT(kRibbon, L"QATOverflow", RibbonQuickToolbarDropDown),
    KV_SKIN_ELEMENT(kRibbon, L"QATCustomizeButton", RibbonQuickToolbarGlyph),
    KV_SKIN_ELEMENT(kRibbon, L"ButtonGroupButton", RibbonButtonGroupButton),
    KV_SKIN_ELEMENT(kRibbon, L"ButtonGroupSeparator", RibbonButtonGroupSeparator),
    KV_SKIN_ELEMENT(kRibbon, L"ButtonGroupSplitButtonLeft", RibbonButtonGroupSplitButtonLeft),
    KV_SKIN_ELEMENT(kRibbon, L"ButtonGroupSplitButtonRight", RibbonButtonGroupSplitButtonRight),
    KV_SKIN_ELEMENT(kRibbon, L"TabGroupRightScrollButton", RibbonGroupScroll[0]),
    KV_SKIN_ELEMENT(kRibbon, L"TabGroupLeftScrollButton", RibbonGroupScroll[1]),
    KV_SKIN_ELEMENT(kRibbon, L"ContextualTabLabel", RibbonContextualTabLabel),
    KV_SKIN_ELEMENT(kRibbon, L"ContextualTabLabelOnGlass", RibbonContextualTabLabelOnGlass),
    KV_SKIN_ELEMENT(kRibbon, L"ContextualTabSeparator", RibbonContextualTabSeparator),
    KV_SKIN_ELEMENT(kRibbon, L"ContextualTabHeader", RibbonContextualTabHeader),
    KV_SKIN_ELEMENT(kRibbon, L"ContextualTabPanel", RibbonContextualTabPanel),
};

const TdxSkinInfoColorName kColorNames[] = {
    KV_SKIN_COLOR(kCommon, L"Button", L"DisabledText", ButtonDisabled),
    // Bars
    KV_SKIN_COLOR(kBars, nullptr, L"DisabledTextColor", BarDisabledTextColor),
    KV_SKIN_COLOR(kBars, L"ScreenTipWindow", L"ScreenTipItem", ScreenTipItem),
    KV_SKIN_COLOR(kBars, L"ScreenTipWindow", L"ScreenTipTitleItem", ScreenTipTitleItem),
    // Docking
    KV_SKIN_COLOR(kDocking, nullptr, L"DockSiteContentColor", DockSiteContentColor),
    KV_SKIN_COLOR(kDocking, nullptr, L"TabHeaderTextColor", DockControlTabTextColor[0]),
    KV_SKIN_COLOR(kDocking, nullptr, L"TabHeaderTextColorActive", DockControlTabTextColor[1]),
    // Editors
    KV_SKIN_COLOR(kEditors, nullptr, L"CalendarDayTextColor", CalendarDayTextColor),
    KV_SKIN_COLOR(kEditors, nullptr, L"CalendarHolidayTextColor", CalendarHolidayTextColor),
    KV_SKIN_COLOR(kEditors, nullptr, L"CalendarInactiveDayTextColor", CalendarInactiveDayTextColor),
    KV_SKIN_COLOR(kEditors, nullptr, L"CalendarSelectedDayTextColor", CalendarSelectedDayTextColor),
    KV_SKIN_COLOR(kEditors, nullptr, L"CalendarSelectedDayColor", CalendarSelectedDayColor),
    KV_SKIN_COLOR(kEditors, nullptr, L"CalendarSeparatorColor", CalendarSeparatorColor),
    KV_SKIN_COLOR(kEditors, nullptr, L"CalendarTodayFrameColor", CalendarTodayFrameColor),
    KV_SKIN_COLOR(kEditors, nullptr, L"CalendarTodayTextColor", CalendarTodayTextColor),
    KV_SKIN_COLOR(kEditors, nullptr, L"BevelShapeColor1", BevelShapeColor1),
    KV_SKIN_COLOR(kEditors, nullptr, L"BevelShapeColor2", BevelShapeColor2),
    KV_SKIN_COLOR(kEditors, nullptr, L"HyperLinkTextColor", HyperLinkTextColor),
    KV_SKIN_COLOR(kEditors, nullptr, L"TextColor", EditorTextColors[0]),
    KV_SKIN_COLOR(kEditors, nullptr, L"TextDisabledColor", EditorTextColors[1]),
    KV_SKIN_COLOR(kEditors, nullptr, L"TextInactiveColor", EditorTextColors[2]),
    KV_SKIN_COLOR(kEditors, nullptr, L"TextReadOnlyColor", EditorTextColors[3]),
    KV_SKIN_COLOR(kEditors, nullptr, L"BackgroundColor", EditorBackgroundColors[0]),
    KV_SKIN_COLOR(kEditors, nullptr, L"BackgroundDisabledColor", EditorBackgroundColors[1]),
    KV_SKIN_COLOR(kEditors, nullptr, L"BackgroundInactiveColor", EditorBackgroundColors[2]),
    KV_SKIN_COLOR(kEditors, nullptr, L"BackgroundReadOnlyColor", EditorBackgroundColors[3]),
    KV_SKIN_COLOR(kEditors, nullptr, L"NavigatorInfoPanelColor", NavigatorInfoPanelColor),
    KV_SKIN_COLOR(kEditors, nullptr, L"NavigatorInfoPanelTextColor", NavigatorInfoPanelTextColor),
    KV_SKIN_COLOR(kEditors, nullptr, L"ProgressBarEmptyTextColor", ProgressBarTextColors[0]),
    KV_SKIN_COLOR(kEditors, nullptr, L"ProgressBarFilledTextColor", ProgressBarTextColors[1]),
    KV_SKIN_COLOR(kEditors, nullptr, L"TrackBarTickColor", TrackBarTickColor),
    KV_SKIN_COLOR(kEditors, nullptr, L"BreadcrumbEditBackgroundColor", BreadcrumbEditBackgroundColors[0]),
    KV_SKIN_COLOR(kEditors, nullptr, L"BreadcrumbEditBackgroundFocusedColor", BreadcrumbEditBackgroundColors[1]),
    KV_SKIN_COLOR(kEditors, nullptr, L"BreadcrumbEditBackgroundHotColor", BreadcrumbEditBackgroundColors[2]),
    KV_SKIN_COLOR(kEditors, nullptr, L"BreadcrumbEditBackgroundDisabledColor", BreadcrumbEditBackgroundColors[3]),
    KV_SKIN_COLOR(kEditors, nullptr, L"BreadcrumbEditBorderColor", BreadcrumbEditBordersColors[0]),
    KV_SKIN_COLOR(kEditors, nullptr, L"BreadcrumbEditBorderFocusedColor", BreadcrumbEditBordersColors[1]),
    KV_SKIN_COLOR(kEditors, nullptr, L"BreadcrumbEditBorderHotColor", BreadcrumbEditBordersColors[2]),
    KV_SKIN_COLOR(kEditors, nullptr, L"BreadcrumbEditBorderDisabledColor", BreadcrumbEditBordersColors[3]),
    KV_SKIN_COLOR(kEditors, L"RangeControlBorder", L"DefaultElementColor", RangeControlDefaultElementColor),
    KV_SKIN_COLOR(kEditors, L"RangeControlBorder", L"ElementBaseColor", RangeControlElementBaseColor),
    KV_SKIN_COLOR(kEditors, L"RangeControlBorder", L"ElementForeColor", RangeControlElementForeColor),
    KV_SKIN_COLOR(kEditors, L"RangeControlBorder", L"LabelColor", RangeControlLabelColor),
    KV_SKIN_COLOR(kEditors, L"RangeControlBorder", L"RangePreviewColor", RangeControlRangePreviewColor),
    KV_SKIN_COLOR(kEditors, L"RangeControlBorder", L"ScrollAreaColor", RangeControlScrollAreaColor),
    KV_SKIN_COLOR(kEditors, L"RangeControlBorder", L"ViewPortPreviewColor", RangeControlViewPortPreviewColor),
    // Form
    KV_SKIN_COLOR(kForm, nullptr, L"TextColorInactive", FormInactiveColor),
    KV_SKIN_COLOR(kForm, nullptr, L"TextShadowColor", FormTextShadowColor),
    // Grid
    KV_SKIN_COLOR(kGrid, L"GroupRow", L"Office11ContentColor", GridGroupRowStyleOffice11ContentColor),
    KV_SKIN_COLOR(kGrid, L"GroupRow", L"Office11SeparatorColor", GridGroupRowStyleOffice11SeparatorColor),
    KV_SKIN_COLOR(kGrid, L"GroupRow", L"Office11TextColor", GridGroupRowStyleOffice11TextColor),
    KV_SKIN_COLOR(kVGrid, nullptr, L"ContentColor", VGridContentColor),
    // Scheduler
    KV_SKIN_COLOR(kScheduler, nullptr, L"NavigatorColor", SchedulerNavigatorColor),
    KV_SKIN_COLOR(kScheduler, L"Appointment", L"SeparatorColor", SchedulerAppointmentBorder),
    // PDF viewer
    KV_SKIN_COLOR(kPDFViewer, nullptr, L"SelectionColor", PDFViewerSelectionColor),
    // Ribbon
    KV_SKIN_COLOR(kRibbon, nullptr, L"RadialMenuBackgroundColor", RadialMenuBackgroundColor),
    KV_SKIN_COLOR(kRibbon, nullptr, L"RadialMenuBaseColor", RadialMenuBaseColor),
    KV_SKIN_COLOR(kRibbon, L"ContextualTabLabel", L"TextShadowColor", RibbonContextualTabLabelShadowColor),
    KV_SKIN_COLOR(kRibbon, L"ContextualTabLabelOnGlass", L"TextShadowColor", RibbonContextualTabLabelOnGlassShadowColor),
    KV_SKIN_COLOR(kRibbon, nullptr, L"EditorBackground", RibbonEditorBackground),
    KV_SKIN_COLOR(kRibbon, nullptr, L"AppMenuExtraPaneColor", RibbonExtraPaneColor),
    KV_SKIN_COLOR(kRibbon, nullptr, L"AppMenuExtraPaneHeaderSeparator", RibbonExtraPaneHeaderSeparator),
    // Rich edit
    KV_SKIN_COLOR(kRichEdit, nullptr, L"RulerDefaultTabColor", RichEditRulerDefaultTabColor),
    KV_SKIN_COLOR(kRichEdit, nullptr, L"RulerTextColor", RichEditRulerTextColor),
    // General colours of the skin
    KV_SKIN_COLOR(nullptr, nullptr, L"ContainerBorderColor", ContainerBorderColor),
    KV_SKIN_COLOR(nullptr, nullptr, L"ContainerHighlightBorderColor", ContainerHighlightBorderColor),
    KV_SKIN_COLOR(nullptr, nullptr, L"ContentColor", ContentColor),
    KV_SKIN_COLOR(nullptr, nullptr, L"ContentEvenColor", ContentEvenColor),
    KV_SKIN_COLOR(nullptr, nullptr, L"ContentOddColor", ContentOddColor),
    KV_SKIN_COLOR(nullptr, nullptr, L"ContentTextColor", ContentTextColor),
    KV_SKIN_COLOR(nullptr, nullptr, L"DockControlHiddenBarTextColor", DockControlHideBarTextColor[0]),
    KV_SKIN_COLOR(nullptr, nullptr, L"DockControlHiddenBarTextHotColor", DockControlHideBarTextColor[1]),
    KV_SKIN_COLOR(nullptr, nullptr, L"HeaderBackgroundColor", HeaderBackgroundColor),
    KV_SKIN_COLOR(nullptr, nullptr, L"HeaderBackgroundTextColor", HeaderBackgroundTextColor),
    KV_SKIN_COLOR(nullptr, nullptr, L"InactiveColor", InactiveColor),
    KV_SKIN_COLOR(nullptr, nullptr, L"InactiveTextColor", InactiveTextColor),
    KV_SKIN_COLOR(nullptr, nullptr, L"LayoutControlColor", LayoutControlColor),
    KV_SKIN_COLOR(nullptr, nullptr, L"SelectionColor", SelectionColor),
    KV_SKIN_COLOR(nullptr, nullptr, L"SelectionTextColor", SelectionTextColor),
    KV_SKIN_COLOR(nullptr, nullptr, L"TreeListGridLineColor", TreeListGridLineColor),
    KV_SKIN_COLOR(nullptr, nullptr, L"TreeListTreeLineColor", TreeListTreeLineColor),
    KV_SKIN_COLOR(nullptr, nullptr, L"SpreadSheetContentColor", SpreadSheetContentColor),
    KV_SKIN_COLOR(nullptr, nullptr, L"SpreadSheetContentTextColor", SpreadSheetContentTextColor),
    KV_SKIN_COLOR(nullptr, nullptr, L"SpreadSheetFrozenPaneSeparatorColor", SpreadSheetFrozenPaneSeparatorColor),
    KV_SKIN_COLOR(nullptr, nullptr, L"SpreadSheetSelectionColor", SpreadSheetSelectionColor),
    KV_SKIN_COLOR(nullptr, nullptr, L"SpreadSheetGroupLineColor", SpreadSheetGroupLineColor),
    KV_SKIN_COLOR(nullptr, nullptr, L"GridLikeControlContentColor", GridLikeControlContentColor),
    KV_SKIN_COLOR(nullptr, nullptr, L"GridLikeControlContentEvenColor", GridLikeControlContentEvenColor),
    KV_SKIN_COLOR(nullptr, nullptr, L"GridLikeControlContentOddColor", GridLikeControlContentOddColor),
    KV_SKIN_COLOR(nullptr, nullptr, L"GridLikeControlContentTextColor", GridLikeControlContentTextColor),
    KV_SKIN_COLOR(nullptr, nullptr, L"GridLikeControlBackgroundColor", GridLikeControlBackgroundColor),
    // The tab text colours read the page control's "TabHeader".
    KV_SKIN_COLOR(kTabs, L"TabHeader", L"TextColor", TabTextColor),
    KV_SKIN_COLOR(kTabs, L"TabHeader", L"TextColorSelected", TabTextColorActive),
    KV_SKIN_COLOR(kTabs, L"TabHeader", L"TextColorDisabled", TabTextColorDisabled),
    KV_SKIN_COLOR(kTabs, L"TabHeader", L"TextColorHot", TabTextColorHot),
};

#undef KV_SKIN_ELEMENT
#undef KV_SKIN_ELEMENT_NOT_CREATED
#undef KV_SKIN_COLOR

// The calculator's colours by button kind: editing, memory, digits,
// arithmetic, and the rest (scientific).
const wchar_t* CalcButtonColorName(TcxCalcButtonKind AKind)
{
  using enum TcxCalcButtonKind;
  if (AKind <= cbClear)
    return L"CalcEditEditingOperationTextColor";
  if (AKind <= cbMP)
    return L"CalcEditMemoryOperationTextColor";
  if (AKind <= cbDecimal)
    return L"CalcEditDigitTextColor";
  if (AKind <= cbAdd)
    return L"CalcEditArithmeticOperationTextColor";
  return L"CalcEditScientificOperationTextColor";
}

const wchar_t* const kPageControlIndentNames[] = {
    L"RowIndentFar",         L"RowIndentNear",   L"SelectedHeaderDownGrow",    L"SelectedHeaderHGrow",
    L"SelectedHeaderUpGrow", L"HeaderDownGrow",  L"HeaderDownGrowBottomRight", L"SelectedHeaderDownGrowBottomRight"};

const wchar_t* const kDockingIndentNames[] = {L"ActiveTabHeaderDownGrow", L"ActiveTabHeaderHGrow",
                                               L"ActiveTabHeaderUpGrow"};

// The layout view's paddings and spacings by element: the name with
// "Padding" or "Spacing" appended.
const wchar_t* const kLayoutElementNames[] = {L"LayoutViewGroup",     L"LayoutViewGroupWithoutBorders",
                                              L"LayoutViewTabbedGroup", L"LayoutViewRootGroup",
                                              L"LayoutViewRootGroupWithoutBorders", L"LayoutViewItem"};

// A map shape's properties per state: the plain names serve the normal, hot
// and disabled states.
rtl::String MapShapeStatePrefix(TdxMapControlElementState AState)
{
  using enum TdxMapControlElementState;
  switch (AState) {
    case mcesPressed:
      return L"Highlighted";
    case mcesSelected:
      return L"Selected";
    default:
      return rtl::String();
  }
}

vcl::TColor ElementTextColor(TdxSkinElement* AElement)
{
  return AElement ? AElement->GetTextColor() : vcl::clDefault;
}

const TdxSkinInfoPropertyName kPropertyNames[] = {
    {kCommon, L"AlertWindow", L"CornerRadius", L"Integer"},
    {kCommon, L"GroupPanelCaptionTop", L"TailSize", L"Integer"},
    {kCommon, L"GroupPanelCaptionTop", L"TextPadding", L"Integer"},
    {kCommon, L"GroupPanelCaptionBottom", L"TailSize", L"Integer"},
    {kCommon, L"GroupPanelCaptionBottom", L"TextPadding", L"Integer"},
    {kCommon, L"GroupPanelCaptionLeft", L"TailSize", L"Integer"},
    {kCommon, L"GroupPanelCaptionLeft", L"TextPadding", L"Integer"},
    {kCommon, L"GroupPanelCaptionRight", L"TailSize", L"Integer"},
    {kCommon, L"GroupPanelCaptionRight", L"TextPadding", L"Integer"},
    {kEditors, L"EditorButton", L"MergeBorders", L"Boolean"},
    {kEditors, L"ToggleSwitch", L"TextMargin", L"Integer"},
    {kForm, L"FormCaption", L"FontDelta", L"Integer"},
    {kForm, L"FormCaption", L"FontBold", L"Boolean"},
    // Docking
    {kDocking, nullptr, L"ActiveTabHeaderDownGrow", L"Integer"},
    {kDocking, nullptr, L"ActiveTabHeaderHGrow", L"Integer"},
    {kDocking, nullptr, L"ActiveTabHeaderUpGrow", L"Integer"},
    {kDocking, L"DockWindowCaption", L"InactiveCaptionTextColor", L"Color"},
    // Breadcrumb edit and range control
    {kEditors, nullptr, L"BreadcrumbEditProgressChunkPadding", L"Rect"},
    {kEditors, L"BreadcrumbEditButton", L"MergeBorders", L"Boolean"},
    {kEditors, L"RangeControlBorder", L"ElementFontSize", L"Integer"},
    {kEditors, L"RangeControlBorder", L"ScrollAreaHeight", L"Integer"},
    {kEditors, L"RangeControlBorder", L"OutOfRangeColorMask", L"AlphaColor"},
    {kEditors, L"RangeControlBorder", L"RuleColor", L"AlphaColor"},
    {kEditors, L"RangeControlBorder", L"SelectionBorderColor", L"AlphaColor"},
    {kEditors, L"RangeControlBorder", L"SelectionColor", L"AlphaColor"},
    {kEditors, L"RangeControlBorder", L"BackColor", L"AlphaColor"},
    {kEditors, L"RangeControlBorder", L"InnerBorderColor", L"AlphaColor"},
    // Layout view
    {kGrid, nullptr, L"LayoutViewGroupPadding", L"Rect"},
    {kGrid, nullptr, L"LayoutViewGroupWithoutBordersPadding", L"Rect"},
    {kGrid, nullptr, L"LayoutViewTabbedGroupPadding", L"Rect"},
    {kGrid, nullptr, L"LayoutViewRootGroupPadding", L"Rect"},
    {kGrid, nullptr, L"LayoutViewRootGroupWithoutBordersPadding", L"Rect"},
    {kGrid, nullptr, L"LayoutViewItemPadding", L"Rect"},
    {kGrid, nullptr, L"LayoutViewGroupSpacing", L"Rect"},
    {kGrid, nullptr, L"LayoutViewGroupWithoutBordersSpacing", L"Rect"},
    {kGrid, nullptr, L"LayoutViewTabbedGroupSpacing", L"Rect"},
    {kGrid, nullptr, L"LayoutViewRootGroupSpacing", L"Rect"},
    {kGrid, nullptr, L"LayoutViewRootGroupWithoutBordersSpacing", L"Rect"},
    {kGrid, nullptr, L"LayoutViewItemSpacing", L"Rect"},
    {kGrid, L"LayoutViewRecordCaptionTop", L"TailSize", L"Integer"},
    {kGrid, L"LayoutViewRecordCaptionTop", L"TextPadding", L"Integer"},
    {kGrid, L"LayoutViewRecordCaptionBottom", L"TailSize", L"Integer"},
    {kGrid, L"LayoutViewRecordCaptionBottom", L"TextPadding", L"Integer"},
    {kGrid, L"LayoutViewRecordCaptionLeft", L"TailSize", L"Integer"},
    {kGrid, L"LayoutViewRecordCaptionLeft", L"TextPadding", L"Integer"},
    {kGrid, L"LayoutViewRecordCaptionRight", L"TailSize", L"Integer"},
    {kGrid, L"LayoutViewRecordCaptionRight", L"TextPadding", L"Integer"},
    // Navigation bar and pane
    {kNavBar, nullptr, L"ChildItemOffset", L"Integer"},
    {kNavBar, nullptr, L"DistanceBetweenRootGroups", L"Integer"},
    {kNavBar, nullptr, L"ContentContainerPadding", L"Rect"},
    {kNavBar, L"AccordionControlSearchButton", L"GlyphToTextIndent", L"Integer"},
    {kNavPane, L"Caption", L"Height", L"Integer"},
    {kNavPane, L"Caption", L"FontSize", L"Integer"},
    {kNavPane, L"OfficeNavigationBarItem", L"FontDelta", L"Integer"},
    {kNavPane, L"OfficeNavigationBarSkinningItem", L"FontDelta", L"Integer"},
    {kNavPane, nullptr, L"OverlapGroupBorders", L"Boolean"},
    // Scheduler
    {kScheduler, L"Appointment", L"BorderSize", L"Integer"},
    // PDF viewer
    {kPDFViewer, nullptr, L"NavigationPaneSelectedPageExpandValue", L"Integer"},
    {kPDFViewer, nullptr, L"NavigationPaneSelectedPageOverlapValue", L"Integer"},
    // Tile control
    {kTileControl, L"GroupCaption", L"FontDelta", L"Integer"},
    {kTileControl, L"Title", L"FontDelta", L"Integer"},
    {kTileControl, L"TabHeader", L"FontDelta", L"Integer"},
    {kTileControl, nullptr, L"SelectionFocusedColor", L"Color"},
    {kTileControl, nullptr, L"SelectionHotColor", L"Color"},
    // Map control
    {kMapControl, nullptr, L"MapBackColor", L"Color"},
    {kMapControl, nullptr, L"PanelBackColor", L"AlphaColor"},
    {kMapControl, nullptr, L"PanelHotTrackedTextColor", L"AlphaColor"},
    {kMapControl, nullptr, L"PanelPressedTextColor", L"AlphaColor"},
    {kMapControl, nullptr, L"PanelTextColor", L"AlphaColor"},
    {kMapControl, L"CustomElement", L"TextGlowColor", L"AlphaColor"},
    {kMapControl, L"Callout", L"TextGlowColor", L"AlphaColor"},
    {kMapControl, L"Callout", L"PointerHeight", L"Integer"},
    {kMapControl, L"Callout", L"PointerX", L"Integer"},
    {kMapControl, L"Callout", L"PointerY", L"Integer"},
    {kMapControl, L"Pushpin", L"TextOriginX", L"Integer"},
    {kMapControl, L"Pushpin", L"TextOriginY", L"Integer"},
    {kMapControl, L"Pushpin", L"TextGlowColor", L"AlphaColor"},
    {kMapControl, L"SelectedRegion", L"BackColor", L"AlphaColor"},
    {kMapControl, L"SelectedRegion", L"BorderColor", L"AlphaColor"},
    {kMapControl, L"Shape", L"BorderColor", L"AlphaColor"},
    {kMapControl, L"Shape", L"BorderWidth", L"Integer"},
    {kMapControl, L"Shape", L"BackColor", L"AlphaColor"},
    {kMapControl, L"Shape", L"HighlightedBorderColor", L"AlphaColor"},
    {kMapControl, L"Shape", L"HighlightedBorderWidth", L"Integer"},
    {kMapControl, L"Shape", L"HighlightedColor", L"AlphaColor"},
    {kMapControl, L"Shape", L"SelectedBorderColor", L"AlphaColor"},
    {kMapControl, L"Shape", L"SelectedBorderWidth", L"Integer"},
    {kMapControl, L"Shape", L"SelectedColor", L"AlphaColor"},
    // Ribbon
    {kRibbon, nullptr, L"UseRoundedWindowCorners", L"Boolean"},
    {kRibbon, L"TabPanel", L"BottomIndent", L"Integer"},
    {kRibbon, L"QATAboveBackground", L"DisplayCustomizeButtonOutsideQAT", L"Boolean"},
    {kRibbon, L"QATAboveBackground", L"IndentBeforeCustomizeButton", L"Integer"},
    {kRibbon, L"QATInRibbonBackground", L"DisplayCustomizeButtonOutsideQAT", L"Boolean"},
    {kRibbon, L"QATInRibbonBackground", L"IndentBeforeCustomizeButton", L"Integer"},
    {kRibbon, L"FormCaption", L"FontDelta", L"Integer"},
    {kRibbon, nullptr, L"SpaceBetweenTabGroups", L"Integer"},
    {kRibbon, nullptr, L"TabHeaderDownGrow", L"Integer"},
    {kRibbon, nullptr, L"TabAeroSupport", L"Boolean"},
    {kRibbon, L"FormCaption", L"TextColorInactive", L"Color"},
    {kRibbon, L"FormCaption", L"DocumentNameTextColor", L"Color"},
    {kRibbon, L"Tab", L"TextColorSelected", L"Color"},
    {kRibbon, L"Tab", L"TextColorHot", L"Color"},
    {kRibbon, L"ContextualTabHeader", L"TextColorSelected", L"Color"},
    {kRibbon, L"ContextualTabHeader", L"TextColorHot", L"Color"},
    {kRibbon, L"StatusBarButton", L"TextColorSelected", L"Color"},
    {kRibbon, nullptr, L"ButtonDisabled", L"Color"},
    {kTabs, nullptr, L"RowIndentFar", L"Integer"},
    {kTabs, nullptr, L"RowIndentNear", L"Integer"},
    {kTabs, nullptr, L"SelectedHeaderDownGrow", L"Integer"},
    {kTabs, nullptr, L"SelectedHeaderHGrow", L"Integer"},
    {kTabs, nullptr, L"SelectedHeaderUpGrow", L"Integer"},
    {kTabs, nullptr, L"HeaderDownGrow", L"Integer"},
    {kTabs, nullptr, L"HeaderDownGrowBottomRight", L"Integer"},
    {kTabs, nullptr, L"SelectedHeaderDownGrowBottomRight", L"Integer"},
};

// A 32 x 32 red cross on opaque black: what a skin shows where it lacks an
// element. The diagonals are two pixels wide, as a pen of width 2 draws them.
void LoadPlaceholderTexture(TdxSkinImage* AImage)
{
  constexpr int kSize = 32;
  TRGBColors bits(kSize * kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const bool onCross = std::abs(x - y) <= 1 || std::abs(x + y - kSize) <= 1;
      bits[static_cast<size_t>(y) * kSize + x] = onCross ? RGBQUAD{0, 0, 255, 255} : RGBQUAD{0, 0, 0, 255};
    }
  AImage->GetTexture()->LoadFromBits(kSize, kSize, bits, true);
}

// The property when it has the expected class; one of another class under
// the same name counts as missing.
template <class T>
T* PropertyOfClass(TdxSkinProperty* AProperty)
{
  return rtl::Is<T>(AProperty) ? static_cast<T*>(AProperty) : nullptr;
}

void MarkUsed(TdxSkinCustomObject* AObject)
{
  if (AObject)
    AObject->SetState(AObject->GetState() - TdxSkinObjectStates{sosUnused});
}

}  // namespace

std::span<const wchar_t* const> dxSkinInfoGroupNames()
{
  return kGroupNames;
}

std::span<const TdxSkinInfoElementName> dxSkinInfoElementNames()
{
  return kElementNames;
}

std::span<const TdxSkinInfoColorName> dxSkinInfoColorNames()
{
  return kColorNames;
}

std::span<const TdxSkinInfoPropertyName> dxSkinInfoPropertyNames()
{
  return kPropertyNames;
}

// ---------------------------------------------------------------------------
// TdxSkinScrollInfo

void TdxSkinScrollInfo::Create(TdxSkinElement* AElement, int AImageIndex, TcxScrollBarPart)
{
  inherited::Create();
  FElement = AElement;
  FImageIndex = AImageIndex;
}

bool TdxSkinScrollInfo::DrawScaled(HDC DC, const TRect& R, int AImageIndex, TdxSkinElementState AState,
                                   const TdxScaleFactor* AScaleFactor)
{
  if (!FElement)
    return false;
  // The element reads the factor only.
  FElement->Draw(DC, R, const_cast<TdxScaleFactor*>(AScaleFactor), AImageIndex, AState);
  return true;
}

bool TdxSkinScrollInfo::Draw(HDC DC, const TRect& R, int AImageIndex, TdxSkinElementState AState)
{
  return DrawScaled(DC, R, AImageIndex, AState, dxGetSystemScaleFactor());
}

bool TdxSkinScrollInfo::DrawScaled(HDC DC, const TRect& R, TdxSkinElementState AState,
                                   const TdxScaleFactor* AScaleFactor)
{
  return DrawScaled(DC, R, FImageIndex, AState, AScaleFactor);
}

bool TdxSkinScrollInfo::Draw(HDC DC, const TRect& R, TdxSkinElementState AState)
{
  return DrawScaled(DC, R, FImageIndex, AState, dxGetSystemScaleFactor());
}

// ---------------------------------------------------------------------------
// TdxSkinInfo

void TdxSkinInfo::Create(TdxSkin* ASkin)
{
  inherited::Create();
  SetSkin(ASkin);
}

void TdxSkinInfo::Destroy()
{
  TdxSkin* skin = FSkin;
  SetSkin(nullptr);
  rtl::Free(skin);
  inherited::Destroy();
}

void TdxSkinInfo::SetSkin(TdxSkin* AValue)
{
  if (AValue == FSkin)
    return;
  if (FSkin) {
    FinalizeSkinInfo();
    FSkin->RemoveListener(static_cast<IdxSkinChangeListener*>(this));
    FSkin = nullptr;
  }
  if (AValue) {
    FSkin = AValue;
    InitializeSkinInfo();
    FSkin->AddListener(static_cast<IdxSkinChangeListener*>(this));
  }
}

int TdxSkinInfo::GetIntegerPropertyValue(TdxSkinPersistent* AObject, const rtl::String& APropertyName,
                                         int ADefaultValue)
{
  TdxSkinIntegerProperty* property = GetIntegerPropertyByName(AObject, APropertyName);
  return property ? property->GetValue() : ADefaultValue;
}

void TdxSkinInfo::FinalizeSkinInfo()
{
  for (auto& orientation : ScrollBar_Elements)
    for (TdxSkinScrollInfo*& info : orientation)
      rtl::FreeAndNil(info);
}

void TdxSkinInfo::SkinChanged(TdxSkin*)
{
  FinalizeSkinInfo();
  InitializeSkinInfo();
}

void TdxSkinInfo::InitializeSkinInfo()
{
  InitializeGroups();
  InitializeElements();
  InitializeScrollBarElements();
  InitializeProperties();
  InitializeValues();
  InitializeColors();
  InitializeDrawCaches();
}

void TdxSkinInfo::InitializeGroups()
{
  for (size_t i = 0; i < std::size(kGroupNames); ++i)
    GroupField(*this, static_cast<int>(i)) = GetGroupByName(kGroupNames[i]);
}

void TdxSkinInfo::InitializeElements()
{
  for (const TdxSkinInfoElementName& entry : kElementNames)
    entry.Field(*this) = GetElementByName(GetGroupByName(entry.Group), entry.Name, entry.Created);
}

void TdxSkinInfo::InitializeScrollBarElements()
{
  struct TScrollEntry {
    bool Horizontal;
    TcxScrollBarPart Part;
    const wchar_t* Name;
    int ImageIndex;
  };
  static constexpr TScrollEntry kEntries[] = {
      {false, sbpLineUp, L"ScrollButton", 0},          {false, sbpLineDown, L"ScrollButton", 1},
      {true, sbpLineUp, L"ScrollButton", 2},           {true, sbpLineDown, L"ScrollButton", 3},
      {false, sbpThumbnail, L"ScrollThumbVert", 0},    {true, sbpThumbnail, L"ScrollThumbHorz", 0},
      {false, sbpPageUp, L"ScrollContentVert", 0},     {false, sbpPageDown, L"ScrollContentVert", 0},
      {true, sbpPageUp, L"ScrollContentHorz", 0},      {true, sbpPageDown, L"ScrollContentHorz", 0}};
  for (const TScrollEntry& entry : kEntries) {
    TdxSkinScrollInfo*& info = ScrollBar_Elements[entry.Horizontal][static_cast<int>(entry.Part)];
    rtl::FreeAndNil(info);
    if (FSkin)
      info = rtl::New<TdxSkinScrollInfo>(GetElementByName(GroupCommon, entry.Name), entry.ImageIndex, entry.Part);
  }
}

void TdxSkinInfo::InitializeProperties()
{
  AlertWindowCornerRadius = GetIntegerPropertyValue(AlertWindow, L"CornerRadius", 0);
  for (size_t i = 0; i < GroupBoxCaptionElements.size(); ++i) {
    GroupBoxCaptionTailSizes[i] = GetIntegerPropertyByName(GroupBoxCaptionElements[i], L"TailSize");
    GroupBoxCaptionTextPadding[i] = GetIntegerPropertyByName(GroupBoxCaptionElements[i], L"TextPadding");
  }
  TdxSkinBooleanProperty* mergeBorders = GetBoolPropertyByName(EditButtonElements[0], L"MergeBorders");
  EditButtonMergeBorders = mergeBorders && mergeBorders->GetValue();
  ToggleSwitchTextMargin = GetIntegerPropertyValue(ToggleSwitch, L"TextMargin", 0);
  FormCaptionFontDelta = std::max(1, GetIntegerPropertyValue(FormFrames[1][1], L"FontDelta", 0));
  FormCaptionFontIsBold = GetBoolPropertyByName(FormFrames[1][1], L"FontBold");
  for (size_t i = 0; i < PageControlIndents.size(); ++i)
    PageControlIndents[i] = GetIntegerPropertyValue(GroupTabs, kPageControlIndentNames[i], 0);
}

void TdxSkinInfo::InitializeValues()
{
  DockControlCaptionNonFocusedTextColor = GetColorValueByName(DockControlCaption, L"InactiveCaptionTextColor");
  for (size_t i = 0; i < DockControlIndents.size(); ++i)
    DockControlIndents[i] = GetIntegerPropertyValue(GroupDocking, kDockingIndentNames[i], 0);

  BreadcrumbEditProgressChunkPadding = GetRectPropertyByName(GroupEditors, L"BreadcrumbEditProgressChunkPadding");
  TdxSkinBooleanProperty* crumbMerge = GetBoolPropertyByName(BreadcrumbEditButton, L"MergeBorders");
  BreadcrumbEditButtonMergeBorders = crumbMerge && crumbMerge->GetValue();
  RangeControlElementFontSize = GetIntegerPropertyByName(RangeControlBorder, L"ElementFontSize");
  RangeControlScrollAreaHeight = GetIntegerPropertyByName(RangeControlBorder, L"ScrollAreaHeight");
  RangeControlOutOfRangeColorMask = GetAlphaColorValueByName(RangeControlBorder, L"OutOfRangeColorMask");
  RangeControlRuleColor = GetAlphaColorValueByName(RangeControlBorder, L"RuleColor");
  RangeControlSelectionBorderColor = GetAlphaColorValueByName(RangeControlBorder, L"SelectionBorderColor");
  RangeControlSelectionColor = GetAlphaColorValueByName(RangeControlBorder, L"SelectionColor");
  RangeControlBackColor = GetAlphaColorValueByName(RangeControlBorder, L"BackColor");
  RangeControlInnerBorderColor = GetAlphaColorValueByName(RangeControlBorder, L"InnerBorderColor");

  for (size_t i = 0; i < LayoutViewElementPadding.size(); ++i) {
    LayoutViewElementPadding[i] = GetRectPropertyByName(GroupGrid, rtl::String(kLayoutElementNames[i]) + L"Padding");
    LayoutViewElementSpacing[i] = GetRectPropertyByName(GroupGrid, rtl::String(kLayoutElementNames[i]) + L"Spacing");
  }
  for (size_t i = 0; i < LayoutViewRecordCaptionElements.size(); ++i) {
    LayoutViewRecordCaptionTailSizes[i] = GetIntegerPropertyByName(LayoutViewRecordCaptionElements[i], L"TailSize");
    LayoutViewRecordCaptionTextPadding[i] =
        GetIntegerPropertyByName(LayoutViewRecordCaptionElements[i], L"TextPadding");
  }

  NavBarAccordionControlChildItemOffset = GetIntegerPropertyByName(GroupNavBar, L"ChildItemOffset");
  NavBarAccordionControlDistanceBetweenRootGroups = GetIntegerPropertyByName(GroupNavBar, L"DistanceBetweenRootGroups");
  NavBarAccordionControlContentContainerPadding = GetRectPropertyByName(GroupNavBar, L"ContentContainerPadding");
  NavBarAccordionControlSearchButtonGlyphToTextIndent =
      GetIntegerPropertyByName(NavBarAccordionControlSearchButton, L"GlyphToTextIndent");
  NavPaneCaptionHeight = GetIntegerPropertyByName(NavPaneGroupCaption, L"Height");
  NavPaneCaptionFontSize = GetIntegerPropertyByName(NavPaneGroupCaption, L"FontSize");
  NavPaneOfficeNavigationBarItemFontDelta = GetIntegerPropertyValue(NavPaneOfficeNavigationBarItem, L"FontDelta", 0);
  NavPaneOfficeNavigationBarSkinningItemFontDelta =
      GetIntegerPropertyValue(NavPaneOfficeNavigationBarSkinningItem, L"FontDelta", 0);
  // Read without marking it used: a skin that carries it for another
  // consumer is not told it is unused.
  NavPaneOffsetGroupBorders =
      GroupNavPane ? PropertyOfClass<TdxSkinBooleanProperty>(GroupNavPane->GetPropertyByName(L"OverlapGroupBorders"))
                   : nullptr;

  SchedulerAppointmentBorderSize = GetIntegerPropertyByName(SchedulerAppointment[1], L"BorderSize");
  PDFViewerNavigationPaneSelectedPageExpandValue =
      GetIntegerPropertyByName(GroupPDFViewer, L"NavigationPaneSelectedPageExpandValue");
  PDFViewerNavigationPaneSelectedPageOverlapValue =
      GetIntegerPropertyByName(GroupPDFViewer, L"NavigationPaneSelectedPageOverlapValue");

  TileControlGroupCaptionFontDelta = GetIntegerPropertyValue(TileControlGroupCaption, L"FontDelta", 0);
  TileControlTitleFontDelta = GetIntegerPropertyValue(TileControlTitle, L"FontDelta", 0);
  TileControlTabHeaderFontDelta = GetIntegerPropertyValue(TileControlTabHeader, L"FontDelta", 0);
  TileControlSelectionFocusedColor = GetColorValueByName(GroupTileControl, L"SelectionFocusedColor");
  TileControlSelectionHotColor = GetColorValueByName(GroupTileControl, L"SelectionHotColor");

  InitializeMapControlValues();
  InitializeRibbonValues();
}

void TdxSkinInfo::InitializeMapControlValues()
{
  MapControlBackColor = GetColorValueByName(GroupMapControl, L"MapBackColor");
  MapControlPanelBackColor = GetAlphaColorValueByName(GroupMapControl, L"PanelBackColor");
  MapControlPanelHotTrackedTextColor = GetAlphaColorValueByName(GroupMapControl, L"PanelHotTrackedTextColor");
  MapControlPanelPressedTextColor = GetAlphaColorValueByName(GroupMapControl, L"PanelPressedTextColor");
  MapControlPanelTextColor = GetAlphaColorValueByName(GroupMapControl, L"PanelTextColor");
  MapControlCustomElementTextGlowColor = GetAlphaColorValueByName(MapControlCustomElement, L"TextGlowColor");
  MapControlCalloutTextGlowColor = GetAlphaColorValueByName(MapControlCallout, L"TextGlowColor");
  MapControlCalloutPointerHeight = GetIntegerPropertyValue(MapControlCallout, L"PointerHeight", 0);
  MapControlCalloutPointer = TPoint{GetIntegerPropertyValue(MapControlCallout, L"PointerX", 0),
                                    GetIntegerPropertyValue(MapControlCallout, L"PointerY", 0)};
  MapControlPushpinTextOrigin = TPoint{GetIntegerPropertyValue(MapControlPushpin, L"TextOriginX", 0),
                                       GetIntegerPropertyValue(MapControlPushpin, L"TextOriginY", 0)};
  MapControlPushpinTextGlowColor = GetAlphaColorValueByName(MapControlPushpin, L"TextGlowColor");

  TdxSkinElement* region = GetElementByName(GroupMapControl, L"SelectedRegion");
  MapControlSelectedRegionBackgroundColor = GetAlphaColorValueByName(region, L"BackColor");
  MapControlSelectedRegionBorderColor = GetAlphaColorValueByName(region, L"BorderColor");

  TdxSkinElement* shape = GetElementByName(GroupMapControl, L"Shape");
  for (size_t state = 0; state < MapControlShapeColor.size(); ++state) {
    const rtl::String prefix = MapShapeStatePrefix(static_cast<TdxMapControlElementState>(state));
    MapControlShapeBorderColor[state] = GetAlphaColorValueByName(shape, prefix + L"BorderColor");
    MapControlShapeBorderWidth[state] = GetIntegerPropertyValue(shape, prefix + L"BorderWidth", 0);
    MapControlShapeColor[state] =
        GetAlphaColorValueByName(shape, (prefix.empty() ? rtl::String(L"Back") : prefix) + L"Color");
  }
}

void TdxSkinInfo::InitializeRibbonValues()
{
  RibbonUseRoundedWindowCorners = GetBoolPropertyByName(GroupRibbon, L"UseRoundedWindowCorners");
  RibbonTabPanelBottomIndent = GetIntegerPropertyByName(RibbonTabPanel, L"BottomIndent");
  for (size_t i = 0; i < RibbonQuickToolbar.size(); ++i) {
    RibbonQATCustomizeButtonOutsizeQAT[i] =
        GetBoolPropertyByName(RibbonQuickToolbar[i], L"DisplayCustomizeButtonOutsideQAT");
    RibbonQATIndentBeforeCustomizeButton[i] =
        GetIntegerPropertyByName(RibbonQuickToolbar[i], L"IndentBeforeCustomizeButton");
  }
  RibbonCaptionFontDelta = GetIntegerPropertyByName(RibbonFormCaption, L"FontDelta");
  RibbonSpaceBetweenTabGroups = GetIntegerPropertyByName(GroupRibbon, L"SpaceBetweenTabGroups");
  RibbonTabHeaderDownGrowIndent = GetIntegerPropertyByName(GroupRibbon, L"TabHeaderDownGrow");
  RibbonTabAeroSupport = GetBoolPropertyByName(GroupRibbon, L"TabAeroSupport");

  RibbonCaptionText = {GetColorValueByName(RibbonFormCaption, L"TextColorInactive"), ElementTextColor(RibbonFormCaption)};
  RibbonTabText = {ElementTextColor(RibbonTab), GetColorValueByName(RibbonTab, L"TextColorSelected")};
  RibbonTabTextHot = GetColorValueByName(RibbonTab, L"TextColorHot");
  RibbonContextualTabHeaderText = {ElementTextColor(RibbonContextualTabHeader),
                                   GetColorValueByName(RibbonContextualTabHeader, L"TextColorSelected")};
  RibbonContextualTabHeaderTextHot = GetColorValueByName(RibbonContextualTabHeader, L"TextColorHot");
  RibbonDocumentNameTextColor = {RibbonCaptionText[0], GetColorValueByName(RibbonFormCaption, L"DocumentNameTextColor")};
  RibbonStatusBarTextSelected = GetColorValueByName(RibbonStatusBarButton, L"TextColorSelected");
  RibbonButtonText = {ElementTextColor(RibbonSmallButton), GetColorValueByName(GroupRibbon, L"ButtonDisabled")};
}

void TdxSkinInfo::InitializeColors()
{
  for (const TdxSkinInfoColorName& entry : kColorNames) {
    TdxSkinColor*& field = entry.Field(*this);
    if (!entry.Group)
      field = GetSkinColorByName(entry.Name);
    else if (!entry.Element)
      field = GetColorByName(GetGroupByName(entry.Group), entry.Name);
    else
      field = GetColorByName(GetElementByName(GetGroupByName(entry.Group), entry.Element), entry.Name);
  }
  // "DisabledText" of the button counts only where the button exists.
  if (!ButtonElements)
    ButtonDisabled = nullptr;
  for (int kind = 0; kind < rtl::EnumCount<TcxCalcButtonKind>(); ++kind)
    CalcEditButtonTextColors[kind] =
        GetColorByName(GroupEditors, CalcButtonColorName(static_cast<TcxCalcButtonKind>(kind)));
  for (size_t i = 0; i < SchedulerResourceColors.size(); ++i) {
    wchar_t name[32];
    std::swprintf(name, std::size(name), L"ResourceColor%02d", static_cast<int>(i + 1));
    SchedulerResourceColors[i] = GetColorByName(GroupScheduler, name);
  }
}

void TdxSkinInfo::InitializeDrawCaches()
{
  for (TdxSkinElement* element :
       {EditButtonElements[0], HighlightedItem, RibbonLargeButton, RibbonSmallButton, SchedulerAllDayArea[0],
        SchedulerAllDayArea[1], SchedulerTimeRuler, PrintingPageBorder, PrintingPreviewBackground})
    if (element)
      element->SetUseCache(true);
  for (TdxSkinElement* element : SchedulerAppointment)
    if (element) {
      element->SetUseCache(true);
      element->SetCacheCapacity(64);
    }
}

TdxSkinControlGroup* TdxSkinInfo::GetGroupByName(const rtl::String& AName)
{
  if (!FSkin)
    return nullptr;
  TdxSkinControlGroup* result = FSkin->GetGroupByName(AName);
  if (!result) {
    result = FSkin->AddGroup(AName);
    result->SetState(TdxSkinObjectStates{sosUnassigned, sosUnused});
  }
  MarkUsed(result);
  return result;
}

TdxSkinElement* TdxSkinInfo::GetElementByName(TdxSkinControlGroup* AGroup, const rtl::String& AName, bool ACreate)
{
  if (!AGroup)
    return nullptr;
  TdxSkinElement* result = AGroup->GetElementByName(AName);
  if (!result && ACreate) {
    result = AGroup->AddElement(AName);
    result->GetImage()->SetStates(TdxSkinElementStates{TdxSkinElementState::esNormal});
    result->GetImage()->SetStretch(TdxSkinStretchMode::smStretch);
    LoadPlaceholderTexture(result->GetImage());
    result->SetState(TdxSkinObjectStates{sosUnassigned, sosUnused});
  }
  MarkUsed(result);
  return result;
}

TdxSkinProperty* TdxSkinInfo::GetPropertyByName(TdxSkinPersistent* AOwner, const rtl::String& AName)
{
  if (!AOwner)
    return nullptr;
  TdxSkinProperty* result = AOwner->GetPropertyByName(AName);
  MarkUsed(result);
  return result;
}

TdxSkinColor* TdxSkinInfo::GetColorByName(TdxSkinPersistent* AOwner, const rtl::String& AName)
{
  return PropertyOfClass<TdxSkinColor>(GetPropertyByName(AOwner, AName));
}

TdxSkinBooleanProperty* TdxSkinInfo::GetBoolPropertyByName(TdxSkinPersistent* AOwner, const rtl::String& AName)
{
  return PropertyOfClass<TdxSkinBooleanProperty>(GetPropertyByName(AOwner, AName));
}

TdxSkinIntegerProperty* TdxSkinInfo::GetIntegerPropertyByName(TdxSkinPersistent* AOwner, const rtl::String& AName)
{
  return PropertyOfClass<TdxSkinIntegerProperty>(GetPropertyByName(AOwner, AName));
}

TdxSkinRectProperty* TdxSkinInfo::GetRectPropertyByName(TdxSkinPersistent* AOwner, const rtl::String& AName)
{
  return PropertyOfClass<TdxSkinRectProperty>(GetPropertyByName(AOwner, AName));
}

vcl::TColor TdxSkinInfo::GetColorValueByName(TdxSkinPersistent* AOwner, const rtl::String& AName)
{
  TdxSkinColor* color = GetColorByName(AOwner, AName);
  return color ? color->GetValue() : vcl::clDefault;
}

TdxAlphaColor TdxSkinInfo::GetAlphaColorValueByName(TdxSkinPersistent* AOwner, const rtl::String& AName)
{
  const int alpha = GetIntegerPropertyValue(AOwner, AName + L"Alpha", 255);
  return dxColorToAlphaColor(GetColorValueByName(AOwner, AName), static_cast<std::uint8_t>(std::clamp(alpha, 0, 255)));
}

TdxSkinColor* TdxSkinInfo::GetSkinColorByName(const rtl::String& AName)
{
  return FSkin ? FSkin->GetColorByName(AName) : nullptr;
}

// ---------------------------------------------------------------------------
// TdxSkinElementHelper

TSize TdxSkinElementHelper::CalculateCaptionButtonSize(int ACaptionHeight, TdxSkinElement* AElement)
{
  float aspect = 1;
  if (AElement && AElement->GetMinSize()->GetHeight() > 0)
    aspect = static_cast<float>(AElement->GetMinSize()->GetWidth()) / AElement->GetMinSize()->GetHeight();
  TSize result{static_cast<int>(std::nearbyint(aspect * ACaptionHeight)), ACaptionHeight};
  if (AElement && AElement->GetImage()->GetStretch() == TdxSkinStretchMode::smNoResize) {
    const TSize imageSize = AElement->GetImage()->GetSize();
    if ((result.cx + imageSize.cx) % 2 != 0)
      --result.cx;
    if ((result.cy + imageSize.cy) % 2 != 0)
      --result.cy;
  }
  return result;
}

bool TdxSkinElementHelper::IsAlternateImageSetUsed(TdxSkinElement* AElement, int AImageIndex,
                                                   TdxSkinElementState AState)
{
  TdxSkinAlternateImageAttributes* attributes = nullptr;
  TcxScreenCanvas* screen = cxScreenCanvas();
  const bool result =
      AElement->UseAlternateImageSet(AImageIndex, AState, attributes, dxGpNeedsBufferedPaint(screen->GetHandle()));
  screen->Dormant();
  return result;
}
