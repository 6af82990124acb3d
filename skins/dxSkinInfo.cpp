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
    // Vertical grid
    KV_SKIN_ELEMENT(kVGrid, L"Category", VGridCategory),
    KV_SKIN_ELEMENT(kVGrid, L"GridLine", VGridLine[0]),
    KV_SKIN_ELEMENT(kVGrid, L"BandBorder", VGridLine[1]),
    KV_SKIN_ELEMENT(kVGrid, L"RowHeader", VGridRowHeader),
    // Scheduler
    KV_SKIN_ELEMENT(kScheduler, L"TimeGridHeader", SchedulerTimeGridHeader[0]),
    KV_SKIN_ELEMENT(kScheduler, L"TimeGridHeaderSelected", SchedulerTimeGridHeader[1]),
    KV_SKIN_ELEMENT(kScheduler, L"Ruler", SchedulerTimeRuler),
    KV_SKIN_ELEMENT(kScheduler, L"AppointmentRightBorder", SchedulerAppointment[0]),
    KV_SKIN_ELEMENT(kScheduler, L"Appointment", SchedulerAppointment[1]),
    KV_SKIN_ELEMENT(kScheduler, L"AllDayArea", SchedulerAllDayArea[0]),
    KV_SKIN_ELEMENT(kScheduler, L"AllDayAreaSelected", SchedulerAllDayArea[1]),
    // Page control
    KV_SKIN_ELEMENT(kTabs, L"TabHeader", PageControlHeader),
    KV_SKIN_ELEMENT(kTabs, L"TabButton", PageControlButton),
    KV_SKIN_ELEMENT(kTabs, L"TabButtonHorz", PageControlButtonHorz),
    KV_SKIN_ELEMENT(kTabs, L"TabButtonVert", PageControlButtonVert),
    KV_SKIN_ELEMENT(kTabs, L"TabHeaderButton", PageControlHeaderButton),
    KV_SKIN_ELEMENT(kTabs, L"TabHeaderCloseButton", PageControlCloseButton),
    KV_SKIN_ELEMENT(kTabs, L"TabPane", PageControlPane),
};

const TdxSkinInfoColorName kColorNames[] = {
    KV_SKIN_COLOR(kCommon, L"Button", L"DisabledText", ButtonDisabled),
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
    // Rich edit
    KV_SKIN_COLOR(L"RichEdit", nullptr, L"RulerDefaultTabColor", RichEditRulerDefaultTabColor),
    KV_SKIN_COLOR(L"RichEdit", nullptr, L"RulerTextColor", RichEditRulerTextColor),
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
  for (TdxSkinElement* element : {EditButtonElements[0], HighlightedItem, SchedulerAllDayArea[0],
                                  SchedulerAllDayArea[1], SchedulerTimeRuler})
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

namespace {

// The property when it has the expected class; one of another class under
// the same name counts as missing.
template <class T>
T* PropertyOfClass(TdxSkinProperty* AProperty)
{
  return rtl::Is<T>(AProperty) ? static_cast<T*>(AProperty) : nullptr;
}

}  // namespace

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
