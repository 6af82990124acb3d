#include "tools/SkinGenCatalogue.h"

namespace skingen {

namespace {

using enum TArchetype;

// Groups and elements in the order they are written.
constexpr TCatalogueRow Elements[] = {
    // Common
    {"Common", "Button", F, "BM", 1, "CO=3 GTC c:DisabledText=FaceTxtDisabled"},
    {"Common", "DropDownButtonLeft", F, "BM", 1, ""},
    {"Common", "DropDownButtonRight", F, "BM", 1, "Min=16,0"},
    {"Common", "BackButton", T, "BM", 1, "G Sym=left Min=24,24"},
    {"Common", "ScrollButton", T, "BM", 4, "G Sym=up/down/left/right Txt=TrackTxt GS=7,7"},
    {"Common", "ScrollThumbVert", F, "BM", 1, "Face=Thumb Min=0,18"},
    {"Common", "ScrollThumbHorz", F, "BM", 1, "Face=Thumb Min=18,0"},
    {"Common", "ScrollContentVert ScrollContentHorz", F, "N+H+P", 1, "Face=Track NoBorder"},
    {"Common", "SizeGrip", K, "N", 1, "Sym=grip Frame=12,12"},
    {"Common", "Splitter", F, "N+H", 3, "G Sym=grip/left/right GS=5,5 Min=5,5 Face=Win NoBorder"},
    {"Common", "SplitterHorz", F, "N+H", 3, "Min=5,5 Face=Win NoBorder"},
    {"Common", "GroupPanel GroupPanelTop GroupPanelBottom GroupPanelLeft GroupPanelRight", P, "N", 1, "Bd"},
    {"Common", "GroupPanelNoBorder", P, "N", 1, "Col=Win Txt=WinTxt"},
    {"Common", "GroupPanelCaptionTop GroupPanelCaptionBottom GroupPanelCaptionLeft GroupPanelCaptionRight", P, "N",
     1, "Col=Win Txt=WinTxt CO=4,2,4,2"},
    {"Common", "GroupButton", T, "BM", 1, ""},
    {"Common", "GroupButtonExpandGlyph", K, "BM", 2, "Sym=plus/minus Frame=9,9"},
    {"Common", "Header HeaderSpecial", F, "BM", 1, "Col=Face CO=4,2,4,2"},
    {"Common", "SortShape", K, "N", 4, "Sym=up/down/up/down Frame=9,9"},
    {"Common", "HighlightedItem", F, "N", 2, "Face=Acc Txt=SelTxt"},
    {"Common", "AlertWindow", P, "N", 1, "Col=Win Txt=WinTxt CO=8 Bd"},
    {"Common", "AlertWindowCaption", P, "N", 1, "Col=Face Min=0,24"},
    {"Common", "AlertWindowNavigationPanel", P, "N", 1, "Col=Face"},
    {"Common", "AlertWindowButton AlertWindowNavigationPanelButton", T, "N+H+P+D+Checked+HotCheck+CheckPressed", 1,
     ""},
    {"Common", "AlertWindowButtonGlyphs", K, "4S", 6, "Sym=close/pin/pin/down/left/right Frame=11,11"},
    {"Common", "GaugeBackground", P, "N", 1, "Col=Edit"},
    {"Common", "LoadingBig", X, "N", 1, ""},

    // Bars
    {"Bars", "Bar BarVertical MainMenu MainMenuVertical StatusBar Dock FloatBar", P, "N", 1, "Col=Face Bd CO=2"},
    {"Bars", "PopupMenu", P, "N", 1, "Col=Edit Txt=EditTxt Bd CO=1 GTC"},
    {"Bars", "PopupMenuSideStrip PopupMenuSideStripNonRecent", P, "N", 1, "Col=Face CO=1"},
    {"Bars", "PopupMenuSeparator", L, "N", 1, ""},
    {"Bars", "PopupMenuExpandButton", K, "N", 1, "Sym=down Frame=9,9 Min=9,9"},
    {"Bars", "PopupMenuCheck", K, "N", 2, "Sym=check/box Frame=13,13"},
    {"Bars", "PopupMenuLinkSelected LinkSelected MainMenuLinkSelected PopupMenuDropDownButtonLabel "
             "PopupMenuDropDownButtonArrow",
     F, "GS", 1, ""},
    {"Bars", "BarCustomize BarCustomizeVertical MainMenuCustomize", T, "N+H", 1, "G Sym=down GS=7,7"},
    {"Bars", "BarDragGrip BarDragGripVertical MainMenuDrag", K, "N", 1, "Sym=grip Frame=5,12 Min=5,12"},
    {"Bars", "BarSeparator BarSeparatorVertical", L, "N", 1, ""},
    {"Bars", "MDIButtonClose", T, "4S", 1, "G Sym=close GS=10,10"},
    {"Bars", "MDIButtonMinimize", T, "4S", 1, "G Sym=min GS=10,10"},
    {"Bars", "MDIButtonRestore", T, "4S", 1, "G Sym=restore GS=10,10"},
    {"Bars", "ItemSeparator", P, "N", 1, "Txt=FaceTxt"},
    {"Bars", "LinkStatic", P, "N", 1, "CO=0"},
    {"Bars", "ScreenTipWindow", P, "N", 1,
     "Col=Edit Txt=EditTxt Bd CO=4 c:ScreenTipItem=EditTxt c:ScreenTipTitleItem=EditTxt"},
    {"Bars", "ScreenTipSeparator", L, "N", 1, "Frame=8,1"},

    // Docking
    {"Docking", "DockWindowButton", T, "Active+H+P", 1, ""},
    {"Docking", "DockWindowButtonGlyphs", K, "N", 7, "Sym=close/close/pin/pin/down/up/max Frame=10,10"},
    {"Docking", "DockWindowCaption", X, "N", 1, "c:InactiveCaptionTextColor=FaceTxtDisabled"},
    {"Docking", "TabHeaderAutoHideBar TabButtonHorz TabButtonVert TabHeader TabHeaderBackground TabHeaderCloseButton "
                "TabHeaderLine AutoHideBar AutoHideBarLeft AutoHideBarRight AutoHideBarBottom DockWindowBorder",
     X, "N", 1, ""},

    // Editors
    {"Editors", "Checkbox", K, "BM", 3, "Sym=box/check/gray Frame=13,13"},
    {"Editors", "RadioButton", K, "BM", 2, "Sym=ring/dot Frame=13,13"},
    {"Editors", "EditorButton", F, "BM", 1, "CO=2 Min=17,0 c:DisabledText=FaceTxtDisabled"},
    {"Editors", "CloseButton", F, "BM", 1, "G Sym=close GS=10,10 Min=16,16"},
    {"Editors", "ComboButtonGlyph", G, "BM", 1, "Sym=down GS=7,7"},
    {"Editors", "SpinUpGlyph", G, "BM", 1, "Sym=up GS=7,7"},
    {"Editors", "SpinDownGlyph", G, "BM", 1, "Sym=down GS=7,7"},
    {"Editors", "SpinLeftGlyph", G, "BM", 1, "Sym=left GS=7,7"},
    {"Editors", "SpinRightGlyph", G, "BM", 1, "Sym=right GS=7,7"},
    {"Editors", "SearchButtonGlyph", K, "BM", 1, "Sym=search Frame=13,13"},
    {"Editors", "SliderArrowTop", K, "BM", 1, "Sym=up Frame=7,7"},
    {"Editors", "SliderArrowBottom", K, "BM", 1, "Sym=down Frame=7,7"},
    {"Editors", "SliderArrowLeft", K, "BM", 1, "Sym=left Frame=7,7"},
    {"Editors", "SliderArrowRight", K, "BM", 1, "Sym=right Frame=7,7"},
    {"Editors", "ZoomInButton", K, "BM", 1, "Sym=plus Frame=11,11"},
    {"Editors", "ZoomOutButton", K, "BM", 1, "Sym=minus Frame=11,11"},
    {"Editors", "TrackBarThumb TrackBarThumbUp TrackBarThumbBoth", K, "BM", 1, "Sym=thumb Frame=11,19"},
    {"Editors", "TrackBarThumbVert TrackBarThumbVertUp TrackBarThumbVertBoth", K, "BM", 1, "Sym=thumb Frame=19,11"},
    {"Editors", "RangeTrackBarThumbLeft RangeTrackBarThumbRight RangeTrackBarThumbBoth", K, "BM", 1,
     "Sym=thumb Frame=11,19"},
    {"Editors", "LabelLine LabelLineVert", L, "N", 1, ""},
    {"Editors", "ToggleSwitch", F, "N+Active+D", 2, "Txt=FaceTxt"},
    {"Editors", "ToggleSwitchThumb", F, "BM", 1, "Face=Thumb Min=40,0"},
    {"Editors", "ProgressBorder ProgressBorderVert", P, "N", 1, "Bd CO=1"},
    {"Editors", "ProgressChunk ProgressChunkVert", P, "N", 1, "Col=Acc"},
    {"Editors", "TrackBarTrack TrackBarTrackVert", F, "N", 4, "Face=Track Frame=12,4"},
    {"Editors", "RangeControlBorder", P, "N", 1,
     "Bd c:DefaultElementColor=Face c:ElementBaseColor=Face c:ElementForeColor=Acc c:LabelColor=EditTxt "
     "c:RangePreviewColor=Acc c:ScrollAreaColor=Win c:ViewPortPreviewColor=Face "
     "a:OutOfRangeColorMask=Line/64 a:RuleColor=Line/255 a:SelectionBorderColor=Acc/255 a:SelectionColor=Acc/64 "
     "a:BackColor=Edit/255 a:InnerBorderColor=Line/255"},
    {"Editors", "RangeControlLeftThumb RangeControlRightThumb", K, "N", 1, "Sym=thumb Frame=7,13 Min=7,13"},
    {"Editors", "RangeControlSizingGlyph", K, "N", 1, "Sym=grip Frame=5,9 Min=5,9"},
    {"Editors", "RangeControlRulerHeader", F, "N+H", 1, ""},
    {"Editors", "RatingIndicator", K, "N+Active+H", 1, "Sym=star Frame=13,13"},
    {"Editors", "ClockFace", K, "N", 1, "Sym=clock Frame=48,48 Txt=EditTxt"},
    {"Editors", "ClockGlass", K, "N", 1, "Sym=glass Frame=48,48"},
    {"Editors", "CalendarNavigationButton", T, "4S", 2, "G Sym=left/right GS=7,7"},
    {"Editors", "NavigatorButton", F, "BM", 1, "CO=2"},
    {"Editors", "Navigator NavigatorVert", K, "N+D", 16,
     "Sym=first/pageprev/left/right/pagenext/last/plus/minus/edit/check/close/refresh/bookmark/goto/filter/more "
     "Frame=11,11"},
    {"Editors", "GalleryBackground GalleryItemGlyphFrame", P, "N", 1, "Col=Edit"},
    {"Editors", "GalleryGroup", P, "N", 1, "Col=Face CO=2"},
    {"Editors", "GalleryItem", T, "N+H+P+D+Checked+HotCheck", 1, ""},
    {"Editors", "BreadcrumbEditButton BreadcrumbEditNodeSplitButtonLeft BreadcrumbEditNodeSplitButtonRight", T,
     "N+Focused+H+P+D", 1, "CO=2"},
    {"Editors", "BreadcrumbEditDropDownButton", T, "N+Focused+H+P+D", 1, "G Sym=down GS=7,7 CO=2 Min=16,0"},
    {"Editors", "BreadcrumbEditNodeButton", T, "N+Focused+H+P+D", 1,
     "CO=2 c:TextColorSelected=FaceTxtPressed c:TextColorHot=FaceTxtHot c:TextColorPressed=FaceTxtPressed "
     "c:TextColorDisabled=FaceTxtDisabled"},
    {"Editors", "BreadcrumbEditButtonsAreaSeparator", L, "N", 1, "Min=1,0"},
    {"Editors", "BreadcrumbEditProgressChunk", P, "N", 1, "Col=Acc"},
    {"Editors", "BreadcrumbEditProgressChunkOverlay", P, "N", 1, "Col=FaceHot"},

    // Form
    {"Form", "FormContent", P, "N", 1, "Col=Win Txt=EditTxt NoBorder CO=0"},
    {"Form", "FormCaption", B, "FR", 1, "Frame=32,24"},
    {"Form", "SmallFormCaption", B, "FR", 1, "Frame=32,18"},
    {"Form", "FormFrameLeft FormFrameRight", B, "FR", 1, "Frame=W,8"},
    {"Form", "FormFrameBottom", B, "FR", 1, "Frame=8,W"},
    {"Form", "FormButtonClose", T, "CB", 1, "G Sym=close GS=10,10 Caption Close"},
    {"Form", "FormButtonMinimize", T, "CB", 1, "G Sym=min GS=10,10 Caption"},
    {"Form", "FormButtonMaximize", T, "CB", 1, "G Sym=max GS=10,10 Caption"},
    {"Form", "FormButtonRestore", T, "CB", 1, "G Sym=restore GS=10,10 Caption"},
    {"Form", "FormButtonHelp", T, "CB", 1, "G Sym=help GS=10,10 Caption"},
    {"Form", "SmallFormButtonClose", T, "CB", 1, "G Sym=close GS=10,10 Caption Close"},

    // Grid
    {"Grid", "PlusMinus", K, "N+Active+ActiveDisabled", 2, "Sym=plus/minus Frame=9,9"},
    {"Grid", "SmartFilterButton", T, "N+H+P+Checked+Active", 1, "G Sym=down GS=7,7 Min=16,16"},
    {"Grid", "GridFilterPanel", P, "N", 1, "Col=Face"},
    {"Grid", "FilterButton FilterButtonActive", T, "BM", 1, "G Sym=filter GS=9,9"},
    {"Grid", "FooterCell", P, "N", 1, "Col=Face Bd CO=2"},
    {"Grid", "FooterPanel", P, "N", 1, "Col=Face CO=2"},
    {"Grid", "GridFixedLine GridLine CardSeparator", P, "N", 1, "Col=Line"},
    {"Grid", "GridGroupPanel", P, "N", 1, "Col=Win Txt=WinTxt"},
    {"Grid", "GroupRow", P, "N", 1,
     "Col=Face CO=2 c:Office11ContentColor=Face c:Office11SeparatorColor=Line c:Office11TextColor=FaceTxt"},
    {"Grid", "IndicatorImages", K, "N", 11,
     "Sym=right/edit/plus/dot/dot/edit/dot/dot/filter/dot/sort Frame=11,11"},
    {"Grid", "WinExplorerViewGroup WinExplorerViewRecord", T, "BM", 1, "GTC"},
    {"Grid", "WinExplorerViewGroupCaptionLine", L, "N", 1, ""},
    {"Grid", "WinExplorerViewGroupExpandButton", K, "BM", 2, "Sym=right/down Frame=9,9"},
    {"Grid", "LayoutViewItem", T, "BM", 1, "GTC"},
    {"Grid", "LayoutViewRecordExpandButton", K, "BM", 2, "Sym=up/down Frame=9,9"},
    {"Grid", "LayoutViewRecord LayoutViewRecordTop LayoutViewRecordBottom LayoutViewRecordLeft LayoutViewRecordRight",
     F, "N+Active+ActiveDisabled", 1, "Face=Edit"},
    {"Grid", "LayoutViewRecordCaptionTop LayoutViewRecordCaptionBottom LayoutViewRecordCaptionLeft "
             "LayoutViewRecordCaptionRight",
     F, "N+Active+ActiveDisabled", 1,
     "Col=Face CO=2 c:TextColorHot=FaceTxtHot c:TextColorSelected=FaceTxt c:TextColorInactive=FaceTxtDisabled"},

    // VerticalGrid
    {"VerticalGrid", "Category RowHeader", P, "N", 1, "Col=Face"},
    {"VerticalGrid", "GridLine BandBorder", P, "N", 1, "Col=Line"},

    // NavBar: not drawn by this system
    {"NavBar", "AccordionControlBackground AccordionControlGroup AccordionControlGroupCloseButton "
               "AccordionControlGroupOpenButton AccordionControlItem AccordionControlRootGroup "
               "AccordionControlRootGroupCloseButton AccordionControlRootGroupOpenButton AccordionControlSearchButton "
               "Background GroupClient Item GroupHeader GroupOpenButton GroupCloseButton",
     X, "N", 1, ""},

    // NavPane
    {"NavPane", "OfficeNavigationBar", P, "N", 1, "Col=Face CO=2"},
    {"NavPane", "OfficeNavigationBarItem", P, "N", 1, "CO=2"},
    {"NavPane", "OfficeNavigationBarSkinningItem", T, "N+H+P+Focused+D", 1, "CO=2"},
    {"NavPane", "CollapseButton CollapsedGroupClient ExpandButton PopupBorder PopupSizeGrip GroupButton "
                "GroupButtonSelected Caption Splitter ScrollUpButton ScrollDownButton OverflowPanel OverflowPanelItem "
                "OverflowPanelExpandItem GroupClient Item ItemSelected",
     X, "N", 1, ""},

    // Scheduler
    {"Scheduler", "Group", K, "N", 2, "Sym=box/fill Frame=12,12"},
    {"Scheduler", "Milestone", K, "N", 1, "Sym=diamond Frame=11,11"},
    {"Scheduler", "NavButtonPrev NavButtonNext", F, "BM", 1, "CO=2 Min=16,16"},
    {"Scheduler", "NavButtonPrevArrow", K, "BM", 1, "Sym=left Frame=7,7 Min=7,7"},
    {"Scheduler", "NavButtonNextArrow", K, "BM", 1, "Sym=right Frame=7,7 Min=7,7"},
    {"Scheduler", "Ruler", P, "N", 1, "Col=Face"},
    {"Scheduler", "TimeGridHeader AllDayArea AllDayAreaSelected", P, "N", 1, "Txt=EditTxt"},
    {"Scheduler", "Appointment", P, "N", 1, "Txt=EditTxt c:SeparatorColor=Line"},
    {"Scheduler", "TimeGridHeaderSelected DefaultTimeLine MoreButton AppointmentRightBorder CurrentTimeIndicator "
                  "AppointmentBottomShadow AppointmentRightShadow AppointmentMask TimeGridCurrentTimeIndicator "
                  "LabelCircle",
     X, "N", 1, ""},

    // PageControl
    {"PageControl", "TabHeader", F, "TS", 1,
     "Tab CO=6,3,6,3 c:TextColor=FaceTxt c:TextColorSelected=FaceTxtPressed c:TextColorHot=FaceTxtHot "
     "c:TextColorDisabled=FaceTxtDisabled"},
    {"PageControl", "TabPane", P, "N", 1, "Col=Edit Bd Pane"},
    {"PageControl", "TabButtonHorz", T, "4S", 4, "G Sym=close/left/right/down GS=7,7 Min=16,0"},
    {"PageControl", "TabButtonVert", T, "4S", 4, "G Sym=close/down/up/right GS=7,7"},
    {"PageControl", "TabButton", T, "4S", 1, ""},
    {"PageControl", "TabHeaderButton", T, "BM", 1, ""},
    {"PageControl", "TabHeaderCloseButton", T, "BM", 1, "G Sym=close GS=7,7 Min=16,16"},

    // PDFViewer
    {"PDFViewer", "NavigationPaneButton NavigationPaneButtonMinimized", T, "4S", 1, "CO=2 Min=24,24"},
    {"PDFViewer", "NavigationPaneButtonArrow", K, "4S", 1, "Sym=right Frame=7,7 Min=7,7"},
    {"PDFViewer", "NavigationPaneBackground", P, "N", 1, "Col=Face CO=2"},
    {"PDFViewer", "NavigationPanePageBackground NavigationPanePageCaption", P, "N", 1, "Col=Win CO=2"},
    {"PDFViewer", "NavigationPanePageButton", T, "BM", 1, ""},
    {"PDFViewer", "FindPanel", P, "N", 1, "Col=Face Bd"},

    // PrintingSystem
    {"PrintingSystem", "PageBorder", F, "N+Active", 1, "Face=Edit CO=2"},
    {"PrintingSystem", "PreviewBackground", P, "N", 1, "Col=Win"},

    // RichEdit, TileControl: not drawn by this system
    {"RichEdit", "CornerPanel RulerBackgroundHorz RulerBackgroundVert RulerColumnResizer RulerIndent "
                 "RulerIndentBottom RulerRightMargin RulerSection RulerTab RulerTabTypeBackground",
     X, "N", 1, ""},
    {"TileControl", "ActionBar Background Item ItemCheck GroupCaption VirtualGroup Title TabHeader", X, "N", 1, ""},

    // MapControl
    {"MapControl", "CustomElement", F, "H+P", 1, "CO=2 a:TextGlowColor=Edit/255"},
    {"MapControl", "Pushpin", K, "N", 1, "Sym=pin Frame=13,13 a:TextGlowColor=Edit/255"},
    {"MapControl", "Callout", P, "N", 1, "Col=Edit Bd a:TextGlowColor=Edit/255"},
    {"MapControl", "SelectedRegion", P, "N", 1, "a:BackColor=Acc/64 a:BorderColor=Acc/255"},
    {"MapControl", "Shape", P, "N", 1,
     "a:BackColor=Face/160 a:HighlightedColor=FaceHot/160 a:SelectedColor=Acc/160 a:BorderColor=Line/255 "
     "a:HighlightedBorderColor=LineHot/255 a:SelectedBorderColor=Acc/255 i:BorderWidth=1 "
     "i:HighlightedBorderWidth=1 i:SelectedBorderWidth=1"},

    // Ribbon (drawn only by bar galleries)
    {"Ribbon", "DropDownGalleryBackground DropDownGalleryGroupHeader", P, "N", 1, "Col=Edit Txt=EditTxt"},
    {"Ribbon", "DropDownGallerySizePanel", P, "N", 1, "Col=Face CO=2"},
    {"Ribbon", "DropDownGallerySizeGrip", K, "N", 3, "Sym=grip/grip/grip Frame=12,12"},
    {"Ribbon", "InRibbonGalleryPane", P, "N", 1, "Col=Edit"},
    {"Ribbon", "Button", F, "N+D+H+Active+P+Checked+HotCheck+ActiveDisabled", 1, "GTC"},
    {"Ribbon", "FormCaption", X, "N", 1, "c:TextColorInactive=CapTxtInactive c:DocumentNameTextColor=CapTxt"},
    {"Ribbon", "Tab ContextualTabHeader", X, "N", 1, "c:TextColorSelected=FaceTxt c:TextColorHot=FaceTxtHot"},
    {"Ribbon", "StatusBarButton", X, "N", 1, "c:TextColorSelected=FaceTxt"},
    {"Ribbon", "ContextualTabLabel ContextualTabLabelOnGlass", X, "N", 1, "c:TextShadowColor=none"},
    {"Ribbon", "AppMenuExtraPanePinButtonGlyph", K, "N", 1, "Sym=pin Frame=9,9"},
    {"Ribbon", "BackstageViewTabHeaderArrow", K, "N", 1, "Sym=right Frame=7,7"},
    {"Ribbon", "FormCaptionRibbonHidden", X, "N", 1, ""},
    {"Ribbon", "AppMenuBackground FormAppButton FormAppButton2010 AppMenuBackgroundBottom AppMenuBackgroundTop "
               "AppMenuExtraPaneButton BackstageViewBackground BackstageViewBackButton BackstageViewImage "
               "BackstageViewMenuBackground BackstageViewMenuHeader BackstageViewMenuButton BackstageViewMenuSeparator "
               "BackstageViewTabHeader TabGroupCollapsed TabGroupCollapsedBox FormButtonAutoHideModeShowUI "
               "FormButtonDisplayOptions FormButtonClose FormButtonHelp FormButtonMaximize FormButtonMinimize "
               "FormButtonRestore FormContent FormFrameBottom DialogFrameBottom FormFrameLeft DialogFrameLeft "
               "FormFrameRight DialogFrameRight MinimizeButtonGlyph TabPanel TabGroupButton TabSeparatorLine TabGroup "
               "TabGroupCaption TabGroupItemsSeparator InRibbonGalleryButtonDown InRibbonGalleryButtonDropDown "
               "InRibbonGalleryButtonUp TabBackground TabBackgroundOnGlass SplitButtonLeft SplitButtonRight KeyTip "
               "LargeButton LargeSplitButtonTop LargeSplitButtonBottom ButtonArrow ButtonGroup StatusBarBackground "
               "StatusBarSeparator QATAboveBackground QATInRibbonBackground QATBelowBackground QATButtonGlyph "
               "QATOverflow QATCustomizeButton ButtonGroupButton ButtonGroupSeparator ButtonGroupSplitButtonLeft "
               "ButtonGroupSplitButtonRight TabGroupRightScrollButton TabGroupLeftScrollButton ContextualTabSeparator "
               "ContextualTabPanel",
     X, "N", 1, ""},
};

// Colours of groups and of the skin ("").
constexpr TCatalogueColor Colors[] = {
    // The skin's own colours.
    {"", "ContainerBorderColor", "Line"},
    {"", "ContainerHighlightBorderColor", "Acc"},
    {"", "ContentColor", "Edit"},
    {"", "ContentEvenColor", "Edit"},
    {"", "ContentOddColor", "ContentOdd"},
    {"", "ContentTextColor", "EditTxt"},
    {"", "SelectionColor", "Acc"},
    {"", "SelectionTextColor", "SelTxt"},
    {"", "InactiveColor", "Inactive"},
    {"", "InactiveTextColor", "InactiveTxt"},
    {"", "HeaderBackgroundColor", "Face"},
    {"", "HeaderBackgroundTextColor", "FaceTxt"},
    {"", "LayoutControlColor", "Win"},
    {"", "GridLineColor", "Line"},
    {"", "GridLikeControlContentColor", "Edit"},
    {"", "GridLikeControlContentEvenColor", "Edit"},
    {"", "GridLikeControlContentOddColor", "ContentOdd"},
    {"", "GridLikeControlContentTextColor", "EditTxt"},
    {"", "GridLikeControlBackgroundColor", "Win"},
    {"", "SpreadSheetContentColor", "Edit"},
    {"", "SpreadSheetContentTextColor", "EditTxt"},
    {"", "SpreadSheetSelectionColor", "Acc"},
    {"", "SpreadSheetFrozenPaneSeparatorColor", "Line"},
    {"", "SpreadSheetGroupLineColor", "Line"},
    {"", "TreeListGridLineColor", "Line"},
    {"", "TreeListTreeLineColor", "Line"},
    {"", "DockControlHiddenBarTextColor", "FaceTxt"},
    {"", "DockControlHiddenBarTextHotColor", "FaceTxtHot"},
    {"", "HyperLinkTextColor", "Acc"},
    {"", "DisabledTextColor", "EditTxtDisabled"},
    {"", "WindowColor", "Win"},
    {"", "WindowTextColor", "WinTxt"},

    {"Bars", "DisabledTextColor", "FaceTxtDisabled"},
    {"Docking", "DockSiteContentColor", "Win"},
    {"Docking", "TabHeaderTextColor", "FaceTxt"},
    {"Docking", "TabHeaderTextColorActive", "FaceTxtPressed"},

    {"Editors", "TextColor", "EditTxt"},
    {"Editors", "TextDisabledColor", "EditTxtDisabled"},
    {"Editors", "TextInactiveColor", "EditTxtInactive"},
    {"Editors", "TextReadOnlyColor", "EditTxtReadOnly"},
    {"Editors", "BackgroundColor", "Edit"},
    {"Editors", "BackgroundDisabledColor", "EditDisabled"},
    {"Editors", "BackgroundInactiveColor", "Edit"},
    {"Editors", "BackgroundReadOnlyColor", "EditReadOnly"},
    {"Editors", "HyperLinkTextColor", "Acc"},
    {"Editors", "BevelShapeColor1", "Line"},
    {"Editors", "BevelShapeColor2", "Edit"},
    {"Editors", "ProgressBarEmptyTextColor", "EditTxt"},
    {"Editors", "ProgressBarFilledTextColor", "SelTxt"},
    {"Editors", "TrackBarTickColor", "Line"},
    {"Editors", "CalendarTodayFrameColor", "Acc"},
    {"Editors", "CalendarSelectedDayColor", "Acc"},
    {"Editors", "CalendarSelectedDayTextColor", "SelTxt"},
    {"Editors", "CalendarHolidayTextColor", "GlyphRed"},
    {"Editors", "CalendarInactiveDayTextColor", "EditTxtDisabled"},
    {"Editors", "CalendarSeparatorColor", "Line"},
    {"Editors", "CalendarDayTextColor", "EditTxt"},
    {"Editors", "CalendarTodayTextColor", "EditTxt"},
    {"Editors", "CalcEditEditingOperationTextColor", "FaceTxt"},
    {"Editors", "CalcEditMemoryOperationTextColor", "FaceTxt"},
    {"Editors", "CalcEditDigitTextColor", "FaceTxt"},
    {"Editors", "CalcEditArithmeticOperationTextColor", "FaceTxt"},
    {"Editors", "CalcEditScientificOperationTextColor", "FaceTxt"},
    {"Editors", "NavigatorInfoPanelColor", "Face"},
    {"Editors", "NavigatorInfoPanelTextColor", "FaceTxt"},
    {"Editors", "BreadcrumbEditBackgroundColor", "Edit"},
    {"Editors", "BreadcrumbEditBackgroundFocusedColor", "Edit"},
    {"Editors", "BreadcrumbEditBackgroundHotColor", "Edit"},
    {"Editors", "BreadcrumbEditBackgroundDisabledColor", "EditDisabled"},
    {"Editors", "BreadcrumbEditBorderColor", "Line"},
    {"Editors", "BreadcrumbEditBorderFocusedColor", "LineHot"},
    {"Editors", "BreadcrumbEditBorderHotColor", "LineHot"},
    {"Editors", "BreadcrumbEditBorderDisabledColor", "LineDisabled"},

    {"Form", "TextColorInactive", "CapTxtInactive"},
    {"Form", "TextShadowColor", "none"},

    {"VerticalGrid", "ContentColor", "Edit"},

    {"Scheduler", "NavigatorColor", "Face"},
    {"Scheduler", "ResourceColor01", "Edit"},
    {"Scheduler", "ResourceColor02", "ContentOdd"},
    {"Scheduler", "ResourceColor03", "FaceHot"},
    {"Scheduler", "ResourceColor04", "FaceChecked"},
    {"Scheduler", "ResourceColor05", "Face"},
    {"Scheduler", "ResourceColor06", "Inactive"},
    {"Scheduler", "ResourceColor07", "EditReadOnly"},
    {"Scheduler", "ResourceColor08", "Track"},
    {"Scheduler", "ResourceColor09", "FaceHotCheck"},
    {"Scheduler", "ResourceColor10", "FaceDisabled"},
    {"Scheduler", "ResourceColor11", "Thumb"},
    {"Scheduler", "ResourceColor12", "Win"},

    {"PDFViewer", "SelectionColor", "Acc"},
    {"RichEdit", "RulerDefaultTabColor", "Line"},
    {"RichEdit", "RulerTextColor", "WinTxt"},
    {"TileControl", "SelectionFocusedColor", "Acc"},
    {"TileControl", "SelectionHotColor", "FaceHot"},

    {"MapControl", "MapBackColor", "Win"},
    {"MapControl", "PanelBackColor", "Face", 200},
    {"MapControl", "PanelHotTrackedTextColor", "FaceTxtHot", 255},
    {"MapControl", "PanelPressedTextColor", "FaceTxtPressed", 255},
    {"MapControl", "PanelTextColor", "FaceTxt", 255},

    {"Ribbon", "RadialMenuBackgroundColor", "Edit"},
    {"Ribbon", "RadialMenuBaseColor", "Acc"},
    {"Ribbon", "EditorBackground", "Edit"},
    {"Ribbon", "AppMenuExtraPaneColor", "Face"},
    {"Ribbon", "AppMenuExtraPaneHeaderSeparator", "Line"},
    {"Ribbon", "ButtonDisabled", "FaceTxtDisabled"},
};

}  // namespace

std::span<const TCatalogueRow> CatalogueElements()
{
  return Elements;
}

std::span<const TCatalogueColor> CatalogueColors()
{
  return Colors;
}

}  // namespace skingen
