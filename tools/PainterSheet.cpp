// Renders every element of every registered look-and-feel painter, in each
// button state, into one PNG sheet per painter, and every registered tab
// painter of the page control with its tabs on each side, into one sheet per
// tab style, and an editor with edit buttons in each button style and state
// under each kind of look and feel into one more sheet, for people to review
// the painters by looking. Run under Wine
// (scripts/painter-sheets):
//
//   PainterSheet <output folder>
//
// Each row is one element, each column one state (default, normal, hot,
// pressed, disabled); elements without a state vary one flag across the
// columns instead, as the row's label says. A row marked "native only" or
// "skins only" stays empty on the classic painters, whose base draws nothing
// there; one marked "base to come" stays empty on the painters that keep
// the base drawing of that family, which is not built yet. The sheets are
// for the eye only: no test compares against them.

#include <windows.h>

#include <cstdio>
#include <exception>
#include <functional>
#include <vector>

#include "app/LinkOrder.h"
#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "core/dxThemeManager.h"
#include "core/dxUxTheme.h"
#include "editors/cxEdit.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "graphics/dxGDIPlusClassesImages.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "pagecontrol/cxPC.h"
#include "pagecontrol/cxPCPainters.h"
#include "pagecontrol/cxPCPaintersFactory.h"
#include "pagecontrol/dxSkinscxPCPainter.h"
#include "platform/rtl/ClassesStreams.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/vcl/Graphics.h"

using enum vcl::TBrushStyle;
using enum TcxAlignmentVert;
using enum TcxArrowDirection;
using enum TcxBorder;
using enum TcxButtonState;
using enum TcxCheckBoxState;
using enum TcxEditBtnKind;
using enum TcxGroupBoxCaptionPosition;
using enum TcxIndicatorKind;
using enum TcxNeighbor;
using enum TcxScrollBarPart;
using enum TcxTrackBarTicksAlign;
using enum TdxBreadcrumbEditButtonState;
using enum TdxBreadcrumbEditState;

using namespace vcl;

// The skins' units, referred to so that the tool links them and renders the
// skin painters too.
#define KV_SKIN_UNIT_DECLARATION(AUnit) RTL_DECLARE_UNIT(AUnit);
KV_SKIN_UNITS(KV_SKIN_UNIT_DECLARATION)
#undef KV_SKIN_UNIT_DECLARATION

namespace {

#define KV_SKIN_UNIT_RECORD(AUnit) &unit_##AUnit,
[[gnu::used]] constinit const rtl::UnitInfo* const SkinSheetUnits[] = {KV_SKIN_UNITS(KV_SKIN_UNIT_RECORD)};
#undef KV_SKIN_UNIT_RECORD
// The tab painters register in their units' start steps.
[[gnu::used]] constinit const rtl::UnitInfo* const TabSheetUnits[] = {&unit_cxPCPainters, &unit_dxSkinscxPCPainter};

constexpr int kLabelWidth = 260;
constexpr int kCellWidth = 96;
constexpr int kCellHeight = 40;
constexpr int kPadding = 6;
// The cells' ground: a pale green that no system colour takes, so that an
// element filled with clBtnFace or clWindow still shows against it.
constexpr TColor kCellColor = static_cast<TColor>(0xD8ECD8);
constexpr TcxButtonState kStates[] = {cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled};
constexpr int kColumnCount = 5;
const wchar_t* const kStateNames[] = {L"default", L"normal", L"hot", L"pressed", L"disabled"};

// One drawing call: the painter, the canvas, the cell's inner rectangle,
// the column's state and the column's index.
struct TSheetCall {
  TcxCustomLookAndFeelPainter* Painter;
  TcxCanvas* Canvas;
  TRect R;
  TcxButtonState State;
  int Column;
  TFont* Font;
  const TdxScaleFactor* Scale;
};

struct TSheetElement {
  const wchar_t* Label;
  std::function<void(const TSheetCall&)> Draw;
};

// A square of ASize centred in R.
TRect Square(const TRect& R, int ASize)
{
  return cxRectCenterBox(R, ASize, ASize);
}

TcxBorders AllBorders()
{
  return cxBordersAll;
}

TdxBreadcrumbEditButtonState BreadcrumbButtonState(int AColumn)
{
  static constexpr TdxBreadcrumbEditButtonState kMap[] = {dxbcbsFocused, dxbcbsNormal, dxbcbsHot, dxbcbsPressed,
                                                          dxbcbsDisabled};
  return kMap[AColumn];
}

TdxBreadcrumbEditState BreadcrumbState(int AColumn)
{
  static constexpr TdxBreadcrumbEditState kMap[] = {dxbcsFocused, dxbcsNormal, dxbcsHot, dxbcsNormal, dxbcsDisabled};
  return kMap[AColumn];
}

std::vector<TSheetElement> SheetElements()
{
  using C = const TSheetCall&;
  return {
      {L"Border", [](C c) { c.Painter->DrawBorder(c.Canvas, c.R); }},
      {L"Button border", [](C c) { c.Painter->DrawButtonBorder(c.Canvas, c.R, c.State); }},
      {L"Button", [](C c) { c.Painter->DrawScaledButton(c.Canvas, c.R, L"OK", c.State, c.Scale); }},
      {L"Check border", [](C c) { c.Painter->DrawCheckBorder(c.Canvas, Square(c.R, 13), c.State); }},
      {L"Check button (unchecked..grayed)",
       [](C c) {
         static constexpr TcxCheckBoxState kChecks[] = {cbsUnchecked, cbsChecked, cbsGrayed, cbsChecked, cbsChecked};
         c.Painter->DrawScaledCheckButton(c.Canvas, Square(c.R, 13), c.State, kChecks[c.Column], c.Scale);
       }},
      {L"Radio button (checked from hot)",
       [](C c) {
         const TSize size = c.Painter->ScaledRadioButtonSize(c.Scale);
         const TRect box = cxRectCenterBox(c.R, size.cx, size.cy);
         c.Painter->DrawScaledRadioButton(c.Canvas, box.left, box.top, c.State, c.Column >= 2, false, clDefault,
                                          c.Scale);
       }},
      {L"Expand button (expanded odd cols)",
       [](C c) {
         const int size = c.Painter->ScaledExpandButtonSize(c.Scale);
         c.Painter->DrawScaledExpandButton(c.Canvas, Square(c.R, size), c.Column % 2 == 1, c.Scale);
       }},
      {L"Small expand button (expanded odd)",
       [](C c) {
         const int size = c.Painter->ScaledSmallExpandButtonSize(c.Scale);
         c.Painter->DrawScaledSmallExpandButton(c.Canvas, Square(c.R, size), c.Column % 2 == 1, clBtnShadow,
                                                c.Scale);
       }},
      {L"Group expand button",
       [](C c) {
         const int size = c.Painter->ScaledGroupExpandButtonSize(c.Scale);
         c.Painter->DrawScaledGroupExpandButton(c.Canvas, Square(c.R, size), c.Column % 2 == 1, c.State, c.Scale);
       }},
      {L"Header",
       [](C c) {
         c.Painter->DrawScaledHeader(c.Canvas, c.R, cxRectInflateAll(c.R, -2), {}, AllBorders(), c.State,
                                     rtl::TAlignment::taCenter, vaCenter, false, false, L"Name", c.Font,
                                     c.Painter->DefaultHeaderTextColor(), c.Painter->DefaultHeaderColor(),
                                     c.Scale);
       }},
      {L"Header border (neighbours L+R)",
       [](C c) { c.Painter->DrawHeaderBorder(c.Canvas, c.R, {nLeft, nRight}, AllBorders()); }},
      {L"Header control section",
       [](C c) {
         c.Painter->DrawScaledHeaderControlSection(c.Canvas, c.R, cxRectInflateAll(c.R, -2), {}, AllBorders(),
                                                   c.State, rtl::TAlignment::taCenter, vaCenter, false, false, L"Section",
                                                   c.Font, clBtnText, clBtnFace, c.Scale);
       }},
      {L"Sorting marks (asc even cols)",
       [](C c) {
         const TPoint size = c.Painter->ScaledSortingMarkSize(c.Scale);
         c.Painter->DrawScaledSortingMark(c.Canvas, cxRectCenterBox(c.R, size.x, size.y), c.Column % 2 == 0,
                                          c.Scale);
       }},
      {L"Summary sorting marks",
       [](C c) {
         const TPoint size = c.Painter->ScaledSummarySortingMarkSize(c.Scale);
         c.Painter->DrawScaledSummarySortingMark(c.Canvas, cxRectCenterBox(c.R, size.x, size.y), c.Column % 2 == 0,
                                                 c.Scale);
       }},
      {L"Footer border / cell border",
       [](C c) {
         c.Painter->DrawFooterBorder(c.Canvas, c.R);
         c.Painter->DrawFooterCellBorder(c.Canvas, cxRectInflateAll(c.R, -6));
       }},
      {L"Filter button (active odd cols)",
       [](C c) {
         c.Painter->DrawScaledFilterDropDownButton(c.Canvas, Square(c.R, 15), c.State, c.Column % 2 == 1, c.Scale);
       }},
      {L"Tab borders and tabs root",
       [](C c) {
         const TRect tab = cxRectInflateSides(c.R, -20, 0, -20, -8);
         c.Painter->DrawTabsRoot(c.Canvas, cxRectSetBottomAndHeight(c.R, c.R.bottom, 8), AllBorders(), false);
         c.Painter->DrawTabBorder(c.Canvas, cxRectWithWidth(tab, 1), bLeft, {bLeft, bTop, bRight}, false);
         c.Painter->DrawTabBorder(c.Canvas, cxRectWithHeight(tab, 1), bTop, {bLeft, bTop, bRight}, false);
         c.Painter->DrawTabBorder(c.Canvas, cxRectSetRightAndWidth(tab, tab.right, 1), bRight,
                                  {bLeft, bTop, bRight}, false);
       }},
      {L"Tab (native only)",
       [](C c) {
         c.Painter->DrawTab(c.Canvas, c.R, {bLeft, bTop, bRight}, L"Tab", c.State, false, c.Font, clBtnText,
                            c.Painter->DefaultTabColor());
       }},
      {L"Scroll bar, horizontal",
       [](C c) {
         const int h = 17;
         const TRect bar = cxRectCenterVertBox(c.R, h);
         c.Painter->DrawScaledScrollBarPart(c.Canvas, true, cxRectWithWidth(bar, h), sbpLineUp, c.State, c.Scale);
         c.Painter->DrawScaledScrollBarPart(c.Canvas, true, TRect{bar.left + h, bar.top, bar.left + h + 14, bar.bottom},
                                            sbpPageUp, c.State, c.Scale);
         c.Painter->DrawScaledScrollBarPart(c.Canvas, true,
                                            TRect{bar.left + h + 14, bar.top, bar.right - h - 14, bar.bottom},
                                            sbpThumbnail, c.State, c.Scale);
         c.Painter->DrawScaledScrollBarPart(c.Canvas, true, TRect{bar.right - h - 14, bar.top, bar.right - h, bar.bottom},
                                            sbpPageDown, c.State, c.Scale);
         c.Painter->DrawScaledScrollBarPart(c.Canvas, true, cxRectSetRightAndWidth(bar, bar.right, h), sbpLineDown,
                                            c.State, c.Scale);
       }},
      {L"Scroll bar, vertical",
       [](C c) {
         const TRect bar = cxRectCenterHorzBox(c.R, 17);
         const int w = 13;
         c.Painter->DrawScaledScrollBarPart(c.Canvas, false, cxRectWithHeight(bar, w), sbpLineUp, c.State, c.Scale);
         c.Painter->DrawScaledScrollBarPart(c.Canvas, false, cxRectSetBottomAndHeight(bar, bar.bottom, w), sbpLineDown,
                                            c.State, c.Scale);
         c.Painter->DrawScaledScrollBarPart(c.Canvas, false, TRect{bar.left, bar.top + w, bar.right, bar.bottom - w},
                                            sbpThumbnail, c.State, c.Scale);
       }},
      {L"Size grip", [](C c) { c.Painter->DrawScaledSizeGrip(c.Canvas, Square(c.R, 16), c.Scale); }},
      {L"Separator (horz / vert)",
       [](C c) {
         c.Painter->DrawSeparator(c.Canvas, cxRectWithWidth(c.R, cxRectGetWidth(c.R) / 2), false);
         c.Painter->DrawSeparator(c.Canvas, cxRectSetRightAndWidth(c.R, c.R.right, 20), true);
       }},
      {L"Group box frame (enabled 1st 4)",
       [](C c) { c.Painter->DrawGroupBoxFrame(c.Canvas, c.R, c.Column < 4, cxgpTop, AllBorders()); }},
      {L"Track bar track and thumb",
       [](C c) {
         const TRect track = cxRectCenterVertBox(c.R, 6);
         c.Painter->DrawTrackBarScaledTrack(c.Canvas, track, cxRectInflateSides(track, 0, 0, -40, 0), true,
                                            c.State != cxbsDisabled, true, clDefault, c.Scale);
         c.Painter->DrawTrackBarScaledThumb(c.Canvas, cxRectCenterBox(c.R, 11, 21), c.State, true, tbtaBoth,
                                            clDefault, c.Scale);
       }},
      {L"Track bar bounds / thumb up",
       [](C c) {
         c.Painter->DrawTrackBarTrackBounds(c.Canvas, cxRectWithWidth(c.R, 40));
         const int x = c.R.left + 60;
         const int y = c.R.top + 4;
         c.Painter->DrawTrackBarThumbBorderUpDown(c.Canvas, {{x, y + 24}, {x, y + 6}, {x + 6, y}},
                                                  {{x + 6, y + 1}, {x + 11, y + 6}, {x + 11, y + 24}},
                                                  {{x + 7, y}, {x + 12, y + 5}, {x + 12, y + 25}, {x - 1, y + 25}});
       }},
      {L"Toggle switch (checked odd cols)",
       [](C c) {
         const TRect bounds = cxRectCenterBox(c.R, 50, 20);
         c.Painter->DrawScaledToggleSwitchState(c.Canvas, bounds, c.State, c.Column % 2 == 1, c.Scale);
         const TRect thumb = c.Column % 2 == 1 ? cxRectSetRightAndWidth(bounds, bounds.right, 20)
                                               : cxRectWithWidth(bounds, 20);
         c.Painter->DrawScaledToggleSwitchThumb(c.Canvas, thumb, c.State, c.Scale);
       }},
      {L"Token background",
       [](C c) { c.Painter->DrawScaledTokenBackground(c.Canvas, cxRectCenterVertBox(c.R, 20), c.State, c.Scale); }},
      {L"Breadcrumb button (focused..)",
       [](C c) {
         c.Painter->DrawBreadcrumbEditScaledButton(c.Canvas, cxRectInflateAll(c.R, -4), BreadcrumbButtonState(c.Column),
                                                   false, false, c.Scale);
       }},
      {L"Breadcrumb borders + drop-down",
       [](C c) {
         c.Painter->DrawBreadcrumbEditBorders(c.Canvas, c.R, AllBorders(), BreadcrumbState(c.Column));
         c.Painter->DrawBreadcrumbEditScaledDropDownButton(c.Canvas,
                                                           cxRectSetRightAndWidth(cxRectInflateAll(c.R, -1),
                                                                                  c.R.right - 1, 16),
                                                           BreadcrumbButtonState(c.Column), false, c.Scale);
       }},
      {L"Drop-down list: bg, gutter, sel, sep",
       [](C c) {
         c.Painter->DrawDropDownListBoxBackground(c.Canvas, c.R, true);
         const TRect gutter{c.R.left + 2, c.R.top + 2, c.R.left + 18, c.R.bottom - 2};
         c.Painter->DrawDropDownListBoxScaledGutterBackground(c.Canvas, gutter, c.Scale);
         c.Painter->DrawDropDownListBoxScaledSelection(c.Canvas, TRect{c.R.left + 2, c.R.top + 4, c.R.right - 2,
                                                                       c.R.top + 18},
                                                       gutter, c.Scale);
         c.Painter->DrawDropDownListBoxScaledSeparator(c.Canvas, TRect{c.R.left + 2, c.R.top + 20, c.R.right - 2,
                                                                       c.R.top + 28},
                                                       gutter, c.Scale);
       }},
      {L"Navigator button / border",
       [](C c) {
         c.Painter->DrawNavigatorScaledButton(c.Canvas, cxRectWithWidth(c.R, 40), c.State, clBtnFace, c.Scale);
         c.Painter->DrawNavigatorBorder(c.Canvas, cxRectSetRightAndWidth(c.R, c.R.right, 40), c.Column % 2 == 1);
       }},
      {L"Scheduler navig. / splitter",
       [](C c) {
         const TRect button = cxRectWithWidth(c.R, 24);
         c.Painter->DrawSchedulerNavigationButton(c.Canvas, button, true, c.State, L"", TRect{},
                                                  cxRectCenterBox(button, 8, 12));
         TcxViewParams params;
         params.Color = clWindow;
         c.Painter->DrawSchedulerSplitterBorder(c.Canvas, TRect{c.R.left + 30, c.R.top + 10, c.R.right, c.R.top + 17},
                                                params, true);
       }},
      {L"Scheduler nav. button",
       [](C c) { c.Painter->DrawSchedulerScaledNavigatorButton(c.Canvas, Square(c.R, 20), c.State, c.Scale); }},
      {L"Month header (arrows)",
       [](C c) {
         TcxViewParams params;
         params.Color = c.Painter->DefaultDateNavigatorHeaderColor();
         params.Font = c.Font;
         params.TextColor = clBtnText;
         c.Painter->DrawScaledMonthHeader(c.Canvas, cxRectCenterVertBox(c.R, 20), L"May", {}, params,
                                          {adLeft, adRight}, 0, c.Scale);
       }},
      {L"Date navigator date header",
       [](C c) {
         TRect r = cxRectCenterVertBox(c.R, 18);
         c.Painter->DrawDateNavigatorDateHeader(c.Canvas, r);
       }},
      {L"Editor buttons (combo, ellipsis..; skins only)",
       [](C c) {
         static constexpr TcxEditBtnKind kKinds[] = {cxbkComboBtn, cxbkEllipsisBtn, cxbkSpinUpBtn, cxbkCloseBtn,
                                                     cxbkEditorBtn};
         c.Painter->DrawScaledEditorButton(c.Canvas, Square(c.R, 18), kKinds[c.Column], c.State, c.Scale);
       }},
      {L"Small close / filter close",
       [](C c) {
         c.Painter->DrawScaledSmallCloseButton(c.Canvas, cxRectCenterBox(cxRectWithWidth(c.R, 40), 16, 16), c.State,
                                               c.Scale);
         c.Painter->DrawScaledFilterCloseButton(c.Canvas, cxRectCenterBox(c.R, 16, 16), c.State, c.Scale);
       }},
      {L"Indicator (arrow, edit, insert..)",
       [](C c) {
         static constexpr TcxIndicatorKind kKinds[] = {ikArrow, ikEdit, ikInsert, ikMultiDot, ikFilter};
         c.Painter->DrawScaledIndicatorItem(c.Canvas, cxRectCenterHorzBox(c.R, 16), kKinds[c.Column], clBtnFace,
                                            c.Scale);
       }},
      {L"Progress bar border / chunk (skins only)",
       [](C c) {
         const TRect bar = cxRectCenterVertBox(c.R, 16);
         c.Painter->DrawProgressBarBorder(c.Canvas, bar, false);
         c.Painter->DrawProgressBarChunk(c.Canvas, cxRectInflateSides(cxRectInflateAll(bar, -2), 0, 0, -30, 0), false);
       }},
      {L"Splitter (highlighted odd)",
       [](C c) {
         c.Painter->DrawScaledSplitter(c.Canvas, cxRectCenterVertBox(c.R, 8), c.Column % 2 == 1, c.State == cxbsPressed,
                                       true, c.Scale);
       }},
      {L"Hint background", [](C c) { c.Painter->DrawHintBackground(c.Canvas, c.R); }},
      {L"Alert window background",
       [](C c) { c.Painter->DrawAlertWindowBackground(c.Canvas, c.R, c.Scale); }},
      {L"Layout control background", [](C c) { c.Painter->DrawLayoutControlBackground(c.Canvas, c.R); }},
      {L"Print preview background",
       [](C c) { c.Painter->DrawPrintPreviewScaledBackground(c.Canvas, c.R, c.Scale); }},
      {L"Clock: classic, modern (alternating)",
       [](C c) {
         // 10:08:30, the hands apart.
         const rtl::TDateTime time = (10 * 3600 + 8 * 60 + 30) / 86400.0;
         const TRect face = Square(c.R, 36);
         if (c.Column % 2 == 0)
           c.Painter->DrawScaledClock(c.Canvas, face, time, clWindow, c.Scale);
         else
           c.Painter->DrawModernCalendarClock(c.Canvas, face, time, clNone, c.Scale);
       }},
      {L"Calendar cell (hot, sel+hot, sel+focus, sel, marked)",
       [](C c) {
         static const TcxCalendarElementStates kStates[] = {
             {TcxCalendarElementState::cesHot},
             {TcxCalendarElementState::cesSelected, TcxCalendarElementState::cesHot},
             {TcxCalendarElementState::cesSelected, TcxCalendarElementState::cesFocused},
             {TcxCalendarElementState::cesSelected},
             {TcxCalendarElementState::cesMarked}};
         c.Painter->DrawModernCalendarDateCellSelection(c.Canvas, Square(c.R, 24), kStates[c.Column]);
       }},
      {L"Gallery item (hover, checked, pressed, focus, chk+hov)",
       [](C c) {
         static const TdxGalleryItemViewState kStates[] = {{true, false, true, false, false},
                                                           {true, true, false, false, false},
                                                           {true, false, false, true, false},
                                                           {true, false, false, false, true},
                                                           {true, true, true, false, false}};
         c.Painter->DrawGalleryItemSelection(c.Canvas, cxRectInflateAll(c.R, -4), kStates[c.Column]);
         c.Painter->DrawColorGalleryItemSelection(c.Canvas, cxRectSetRightAndWidth(c.R, c.R.right - 4, 12),
                                                  kStates[c.Column]);
       }},
      {L"Scheduler group, milestone, event progress",
       [](C c) {
         c.Painter->DrawSchedulerGroup(c.Canvas, cxRectBounds(c.R.left, c.R.top + 4, 30, 12), clSkyBlue);
         c.Painter->DrawSchedulerMilestone(c.Canvas, cxRectBounds(c.R.left + 34, c.R.top + 4, 14, 14));
         TcxViewParams params;
         params.Color = clWindow;
         const TRect bar = cxRectBounds(c.R.left + 52, c.R.top + 6, 30, 12);
         c.Painter->DrawSchedulerEventProgress(c.Canvas, bar, cxRectInflateSides(bar, -2, -2, -14, -2), params,
                                               c.Column % 2 == 1);
       }},
      {L"Rating (unchecked, hover, checked), pushpin, fixed group",
       [](C c) {
         static constexpr TdxRatingControlIndicatorState kRatings[] = {
             TdxRatingControlIndicatorState::rcisUnchecked, TdxRatingControlIndicatorState::rcisHover,
             TdxRatingControlIndicatorState::rcisChecked};
         const TSize rating = c.Painter->GetRatingControlScaledIndicatorSize(c.Scale);
         c.Painter->DrawRatingControlScaledIndicator(c.Canvas, cxRectBounds(c.R.left, c.R.top, rating.cx, rating.cy),
                                                     kRatings[c.Column % 3], c.Scale);
         const TSize pin = c.Painter->MapControlGetMapPushpinSize(c.Scale);
         c.Painter->DrawMapPushpin(c.Canvas, cxRectBounds(c.R.left + 28, c.R.top, pin.cx, pin.cy),
                                   TdxMapControlElementState::mcesNormal, c.Scale);
         const TSize fixed = c.Painter->GetScaledFixedGroupIndicatorSize(c.Scale);
         c.Painter->DrawScaledFixedGroupIndicator(c.Canvas,
                                                  cxRectBounds(c.R.right - fixed.cx, c.R.top, fixed.cx, fixed.cy),
                                                  c.Scale);
       }},
      {L"Print preview page (selected odd), wheel picker",
       [](C c) {
         const TRect page = cxRectBounds(c.R.left, c.R.top, 30, c.R.bottom - c.R.top);
         c.Painter->DrawPrintPreviewPageScaledBackground(c.Canvas, page, cxRectInflateSides(page, -2, -2, -4, -4),
                                                         c.Column % 2 == 1, true, c.Scale);
         c.Painter->DrawWheelPickerItem(c.Canvas, TRect{c.R.left + 40, c.R.top + 4, c.R.right, c.R.bottom - 4},
                                        c.State);
       }},
      {L"Group-by box",
       // A grid passes its style's colour, which defaults to the painter's;
       // clDefault would leave the canvas as it is.
       [](C c) { c.Painter->DrawGroupByBox(c.Canvas, c.R, false, c.Painter->DefaultGroupByBoxColor(), nullptr); }},
  };
}

void DrawLabel(TcxCanvas* ACanvas, const TRect& R, const rtl::String& AText)
{
  ACanvas->GetBrush()->SetStyle(bsClear);
  ACanvas->GetFont()->SetColor(clBlack);
  ACanvas->DrawTexT(AText, R, cxtfAlignLeft | cxtfAlignVCenter | cxtfSingleLine);
  ACanvas->GetBrush()->SetStyle(bsSolid);
}

// One sheet: a header row of state names, then a row per element.
void RenderSheet(TcxCustomLookAndFeelPainter* APainter, const std::vector<TSheetElement>& AElements,
                 TBitmap* ABitmap)
{
  const int rows = static_cast<int>(AElements.size()) + 1;
  ABitmap->SetPixelFormat(TPixelFormat::pf24bit);
  ABitmap->SetSize(kLabelWidth + kColumnCount * kCellWidth, rows * kCellHeight);
  const rtl::TOwnedPtr<TcxCanvas> canvas(rtl::New<TcxCanvas>(ABitmap->GetCanvas()));
  canvas->FillRect(TRect{0, 0, ABitmap->GetWidth(), ABitmap->GetHeight()}, clWhite);
  const rtl::TOwnedPtr<TFont> font(rtl::New<TFont>());
  DrawLabel(canvas.get(), TRect{kPadding, 0, kLabelWidth, kCellHeight}, APainter->LookAndFeelName());
  for (int column = 0; column < kColumnCount; ++column)
    DrawLabel(canvas.get(), cxRectBounds(kLabelWidth + column * kCellWidth + kPadding, 0, kCellWidth, kCellHeight),
              kStateNames[column]);
  for (size_t row = 0; row < AElements.size(); ++row) {
    const int top = static_cast<int>(row + 1) * kCellHeight;
    DrawLabel(canvas.get(), TRect{kPadding, top, kLabelWidth, top + kCellHeight}, AElements[row].Label);
    for (int column = 0; column < kColumnCount; ++column) {
      const TRect cell = cxRectBounds(kLabelWidth + column * kCellWidth, top, kCellWidth, kCellHeight);
      canvas->FillRect(cxRectInflateAll(cell, -1), kCellColor);
      const TRect inner = cxRectInflateAll(cell, -kPadding);
      // Each element in a clean state: what one leaves on the canvas (clip,
      // pen, brush) must not reach the next.
      canvas->SaveState();
      canvas->SaveClipRegion();
      canvas->IntersectClipRect(inner);
      AElements[row].Draw(
          {APainter, canvas.get(), inner, kStates[column], column, font.get(), dxGetDefaultScaleFactor()});
      canvas->RestoreClipRegion();
      canvas->RestoreState();
    }
  }
}

void SavePng(TBitmap* ABitmap, const rtl::String& AFileName)
{
  const rtl::TOwnedPtr<TdxSmartImage> image(rtl::New<TdxSmartImage>());
  image->LoadFromBitmap(ABitmap);
  const rtl::TOwnedPtr<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
  image->SaveToStreamByCodec(stream.get(), TdxGPImageCodecPNG::Class());
  stream->SaveToFile(AFileName);
}

void RenderSheetFile(TcxCustomLookAndFeelPainter* APainter, const std::vector<TSheetElement>& AElements,
                     const rtl::String& AFileName)
{
  const rtl::TOwnedPtr<TBitmap> bitmap(rtl::New<TBitmap>());
  RenderSheet(APainter, AElements, bitmap.get());
  SavePng(bitmap.get(), AFileName);
  std::fwprintf(stdout, L"%ls\n", AFileName.c_str());
}

// ---------------------------------------------------------------------------
// Tab painters: one sheet per registered tab style; each column puts the tabs
// on another side, each row shows the tabs in other states.

constexpr int kTabCellWidth = 250;
constexpr int kTabCellHeight = 150;
constexpr TcxTabPosition kTabPositions[] = {TcxTabPosition::tpTop, TcxTabPosition::tpBottom, TcxTabPosition::tpLeft,
                                            TcxTabPosition::tpRight};

struct TTabSheetRow {
  const wchar_t* Label;
  // Sets the control up after the three tabs "Model", "CRUD", "Fields" are
  // added (the first one current); runs before the layout.
  std::function<void(TcxCustomTabControl*)> Prepare;
  // Sets view state the layout computes, after the layout.
  std::function<void(TcxCustomTabControlViewInfo*)> AfterLayout;
};

std::vector<TTabSheetRow> TabSheetRows()
{
  return {
      {L"First tab current", [](TcxCustomTabControl*) {}, nullptr},
      {L"Second current; hot, disabled third",
       [](TcxCustomTabControl* AControl) {
         AControl->GetProperties()->SetHotTrack(true);
         AControl->GetProperties()->GetTabs()->GetTab(2)->SetEnabled(false);
         AControl->GetProperties()->SetTabIndex(1);
       },
       [](TcxCustomTabControlViewInfo* AViewInfo) { AViewInfo->SetHotTrackTabVisibleIndex(0); }},
      {L"Highlighted and coloured tabs",
       [](TcxCustomTabControl* AControl) {
         AControl->GetProperties()->GetTabs()->GetTab(1)->SetHighlighted(true);
         AControl->GetProperties()->GetTabs()->GetTab(2)->SetColor(clSkyBlue);
       },
       nullptr},
      {L"Too many tabs: arrows",
       [](TcxCustomTabControl* AControl) {
         for (int i = 0; i < 6; ++i)
           AControl->GetProperties()->GetTabs()->Add(L"More");
         AControl->GetProperties()->SetTabIndex(3);
       },
       nullptr},
      {L"Rows: multi-line, fifth current",
       [](TcxCustomTabControl* AControl) {
         for (int i = 0; i < 4; ++i)
           AControl->GetProperties()->GetTabs()->Add(L"Row tab");
         AControl->GetProperties()->SetMultiLine(true);
         AControl->GetProperties()->SetTabIndex(4);
       },
       nullptr},
      {L"Go dialog and close buttons, no frame",
       [](TcxCustomTabControl* AControl) {
         TcxCustomTabControlProperties* properties = AControl->GetProperties();
         properties->SetOptions(properties->GetOptions() + TcxPCOptions{TcxPCOption::pcoGoDialog, TcxPCOption::pcoCloseButton});
         properties->SetShowFrame(false);
       },
       nullptr},
      // Only the slanted styles read the slants.
      {L"Cut right corners, second tab hot",
       [](TcxCustomTabControl* AControl) {
         AControl->GetProperties()->GetTabSlants()->SetKind(TcxTabSlantKind::skCutCorner);
         AControl->GetProperties()->GetTabSlants()->SetPositions({TcxTabSlantPosition::spRight});
       },
       [](TcxCustomTabControlViewInfo* AViewInfo) { AViewInfo->SetHotTrackTabVisibleIndex(1); }},
  };
}

// Paints one tab control of the cell's size, styled and set up as asked, at
// the cell's place on the sheet.
void DrawTabCell(TcxCanvas* ACanvas, const TRect& ACell, TcxPCStyleID AStyle, const rtl::String& ASkinName,
                 TcxTabPosition APosition, const TTabSheetRow& ARow)
{
  const rtl::TOwnedPtr<TcxCustomTabControl> control(rtl::New<TcxCustomTabControl>(nullptr));
  control->SetBounds(0, 0, ACell.right - ACell.left, ACell.bottom - ACell.top);
  if (!ASkinName.empty()) {
    // The native style would win over the skin.
    control->GetLookAndFeel()->SetNativeStyle(false);
    control->GetLookAndFeel()->SetSkinName(ASkinName);
  }
  TcxCustomTabControlProperties* properties = control->GetProperties();
  properties->SetStyle(AStyle);
  properties->SetTabPosition(APosition);
  // Framed, as page controls are mostly shown; one row takes the frame away.
  properties->SetShowFrame(true);
  for (const wchar_t* caption : {L"Model", L"CRUD", L"Fields"})
    properties->GetTabs()->Add(caption);
  properties->SetTabIndex(0);
  ARow.Prepare(control.get());
  TcxCustomTabControlViewInfo* viewInfo = control->GetViewInfo();
  viewInfo->Calculate();
  if (ARow.AfterLayout)
    ARow.AfterLayout(viewInfo);
  const rtl::TOwnedPtr<TcxBitmap> bitmap(rtl::NewWith<TcxBitmap>([&](TcxBitmap* B) {
    B->CreateSize(ACell.right - ACell.left, ACell.bottom - ACell.top, TPixelFormat::pf24bit);
  }));
  bitmap->GetcxCanvas()->FillRect(bitmap->GetClientRect(), kCellColor);
  control->GetPCPainter()->Paint(bitmap->GetcxCanvas());
  BitBlt(ACanvas->GetHandle(), ACell.left, ACell.top, ACell.right - ACell.left, ACell.bottom - ACell.top,
         bitmap->GetcxCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

void RenderTabSheetFile(TcxPCStyleID AStyle, const rtl::String& AStyleName, const rtl::String& ASkinName,
                        const rtl::String& AFileName)
{
  const std::vector<TTabSheetRow> rows = TabSheetRows();
  const rtl::TOwnedPtr<TBitmap> bitmap(rtl::New<TBitmap>());
  bitmap->SetPixelFormat(TPixelFormat::pf24bit);
  const int columns = static_cast<int>(std::size(kTabPositions));
  bitmap->SetSize(kLabelWidth + columns * (kTabCellWidth + kPadding),
                  kCellHeight + static_cast<int>(rows.size()) * (kTabCellHeight + kPadding));
  const rtl::TOwnedPtr<TcxCanvas> canvas(rtl::New<TcxCanvas>(bitmap->GetCanvas()));
  canvas->FillRect(TRect{0, 0, bitmap->GetWidth(), bitmap->GetHeight()}, clWhite);
  DrawLabel(canvas.get(), TRect{kPadding, 0, kLabelWidth, kCellHeight},
            ASkinName.empty() ? AStyleName : AStyleName + L" (" + ASkinName + L")");
  for (int column = 0; column < columns; ++column)
    DrawLabel(canvas.get(),
              cxRectBounds(kLabelWidth + column * (kTabCellWidth + kPadding), 0, kTabCellWidth, kCellHeight),
              rtl::GetEnumName(kTabPositions[column]));
  for (size_t row = 0; row < rows.size(); ++row) {
    const int top = kCellHeight + static_cast<int>(row) * (kTabCellHeight + kPadding);
    DrawLabel(canvas.get(), TRect{kPadding, top, kLabelWidth, top + kTabCellHeight}, rows[row].Label);
    for (int column = 0; column < columns; ++column)
      DrawTabCell(canvas.get(),
                  cxRectBounds(kLabelWidth + column * (kTabCellWidth + kPadding), top, kTabCellWidth, kTabCellHeight),
                  AStyle, ASkinName, kTabPositions[column], rows[row]);
  }
  SavePng(bitmap.get(), AFileName);
  std::fwprintf(stdout, L"%ls\n", AFileName.c_str());
}

// One sheet per registered tab style; the skin style once for every skin,
// since without a skin it draws as the Tabs style.
void RenderTabSheets(const rtl::String& AFolder)
{
  TcxPCPaintersFactory* factory = PaintersFactory();
  if (!factory)
    return;
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  for (int i = 0; i < factory->GetPainterClassCount(); ++i) {
    const TcxPCPainterClass painterClass = factory->InternalGetPainterClass(i);
    const rtl::TOwnedPtr<TcxPCCustomPainter> identity(painterClass.Create(nullptr));
    const rtl::String name = identity->GetStyleName();
    if (!rtl::Is<TcxPCSkinPainter>(identity.get())) {
      RenderTabSheetFile(identity->GetStyleID(), name, rtl::String(), AFolder + L"\\Tabs" + name + L".png");
      continue;
    }
    for (int j = 0; j < manager->GetCount(); ++j) {
      TcxCustomLookAndFeelPainter* painter = manager->GetItem(j);
      if (painter->LookAndFeelStyle() == TcxLookAndFeelStyle::lfsSkin)
        RenderTabSheetFile(identity->GetStyleID(), name, painter->LookAndFeelName(),
                           AFolder + L"\\Tabs" + name + L"_" + painter->LookAndFeelName() + L".png");
    }
  }
}

// ---------------------------------------------------------------------------
// Edit buttons: an editor with an ellipsis, a drop-down and a text button in
// every cell; each row a look and feel (the standard one once per button
// style), each column the state every button is drawn in.

constexpr int kEditCellWidth = 170;
constexpr int kEditCellHeight = 34;
constexpr TcxEditButtonState kEditButtonStates[] = {TcxEditButtonState::ebsNormal, TcxEditButtonState::ebsSelected,
                                                    TcxEditButtonState::ebsPressed, TcxEditButtonState::ebsDisabled};
const wchar_t* const kEditButtonStateNames[] = {L"normal", L"hot", L"pressed", L"disabled"};

struct TEditSheetRow {
  rtl::String Label;
  TcxLookAndFeelKind Kind;
  bool Native;
  rtl::String SkinName;
  TcxEditButtonStyle ButtonStyle;
};

std::vector<TEditSheetRow> EditSheetRows()
{
  using enum TcxEditButtonStyle;
  using enum TcxLookAndFeelKind;
  std::vector<TEditSheetRow> rows = {
      {L"Standard", lfStandard, false, L"", btsDefault},
      {L"Standard, 3D buttons", lfStandard, false, L"", bts3D},
      {L"Standard, flat buttons", lfStandard, false, L"", btsFlat},
      {L"Standard, simple buttons", lfStandard, false, L"", btsSimple},
      {L"Standard, hot flat buttons", lfStandard, false, L"", btsHotFlat},
      {L"Standard, ultra-flat buttons", lfStandard, false, L"", btsUltraFlat},
      {L"Standard, Office 11 buttons", lfStandard, false, L"", btsOffice11},
      {L"Flat", lfFlat, false, L"", btsDefault},
      {L"Ultra flat", lfUltraFlat, false, L"", btsDefault},
      {L"Office 11", lfOffice11, false, L"", btsDefault},
      {L"Native", lfStandard, true, L"", btsDefault},
  };
  // The first and the last registered skin: a light one and a dark one.
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  std::vector<rtl::String> skins;
  for (int i = 0; i < manager->GetCount(); ++i)
    if (manager->GetItem(i)->LookAndFeelStyle() == TcxLookAndFeelStyle::lfsSkin)
      skins.push_back(manager->GetItem(i)->LookAndFeelName());
  if (!skins.empty())
    rows.push_back({L"Skin " + skins.front(), lfStandard, false, skins.front(), btsDefault});
  if (skins.size() > 1)
    rows.push_back({L"Skin " + skins.back(), lfStandard, false, skins.back(), btsDefault});
  return rows;
}

// Draws every button of the editor in one state.
struct TEditSheetButtonState {
  TcxEditButtonState State;
  void Get(TcxEditButtonViewInfo* /*Sender*/, TcxEditButtonState& AState) { AState = State; }
};

void DrawEditCell(TcxCanvas* ACanvas, const TRect& ACell, const TEditSheetRow& ARow, TcxEditButtonState AState)
{
  const rtl::TOwnedPtr<TcxCustomEditProperties> properties(rtl::New<TcxCustomEditProperties>(nullptr));
  properties->GetButtons()->Add()->SetKind(TcxEditButtonKind::bkEllipsis);
  properties->GetButtons()->Add()->SetKind(TcxEditButtonKind::bkDown);
  TcxCustomEditButton* text = properties->GetButtons()->Add();
  text->SetKind(TcxEditButtonKind::bkText);
  text->SetCaption(L"&Go");
  const rtl::TOwnedPtr<TcxEditStyle> style(rtl::New<TcxEditStyle>(nullptr));
  TcxLookAndFeel* lookAndFeel = style->GetLookAndFeel();
  lookAndFeel->SetKind(ARow.Kind);
  lookAndFeel->SetNativeStyle(ARow.Native);
  lookAndFeel->SetSkinName(ARow.SkinName);
  style->SetButtonStyle(ARow.ButtonStyle);
  const rtl::TOwnedPtr<TcxCustomEditViewInfo> viewInfo(rtl::New<TcxCustomEditViewInfo>());
  TEditSheetButtonState state{AState};
  viewInfo->OnGetButtonState = TcxEditGetButtonStateEvent::Bind<&TEditSheetButtonState::Get>(&state);
  const TRect bounds{0, 0, ACell.right - ACell.left, ACell.bottom - ACell.top};
  const rtl::TOwnedPtr<TcxBitmap> bitmap(rtl::NewWith<TcxBitmap>(
      [&](TcxBitmap* B) { B->CreateSize(bounds.right, bounds.bottom, TPixelFormat::pf24bit); }));
  bitmap->GetcxCanvas()->FillRect(bounds, kCellColor);
  {
    const rtl::TOwnedPtr<TcxCustomEditViewData> viewData(
        rtl::New<TcxCustomEditViewData>(properties.get(), false, style.get()));
    viewData->Enabled = AState != TcxEditButtonState::ebsDisabled;
    viewData->Calculate(bitmap->GetcxCanvas(), cxRectInflateAll(bounds, -4), TPoint{-1, -1},
                        TcxMouseButton::cxmbNone, {}, viewInfo.get(), false);
  }
  viewInfo->Paint(bitmap->GetcxCanvas());
  BitBlt(ACanvas->GetHandle(), ACell.left, ACell.top, bounds.right, bounds.bottom, bitmap->GetcxCanvas()->GetHandle(),
         0, 0, SRCCOPY);
}

void RenderEditButtonsSheet(const rtl::String& AFileName)
{
  const std::vector<TEditSheetRow> rows = EditSheetRows();
  const int columns = static_cast<int>(std::size(kEditButtonStates));
  const rtl::TOwnedPtr<TBitmap> bitmap(rtl::New<TBitmap>());
  bitmap->SetPixelFormat(TPixelFormat::pf24bit);
  bitmap->SetSize(kLabelWidth + columns * (kEditCellWidth + kPadding),
                  kCellHeight + static_cast<int>(rows.size()) * (kEditCellHeight + kPadding));
  const rtl::TOwnedPtr<TcxCanvas> canvas(rtl::New<TcxCanvas>(bitmap->GetCanvas()));
  canvas->FillRect(TRect{0, 0, bitmap->GetWidth(), bitmap->GetHeight()}, clWhite);
  DrawLabel(canvas.get(), TRect{kPadding, 0, kLabelWidth, kCellHeight}, L"Edit buttons");
  for (int column = 0; column < columns; ++column)
    DrawLabel(canvas.get(),
              cxRectBounds(kLabelWidth + column * (kEditCellWidth + kPadding), 0, kEditCellWidth, kCellHeight),
              kEditButtonStateNames[column]);
  for (size_t row = 0; row < rows.size(); ++row) {
    const int top = kCellHeight + static_cast<int>(row) * (kEditCellHeight + kPadding);
    DrawLabel(canvas.get(), TRect{kPadding, top, kLabelWidth, top + kEditCellHeight}, rows[row].Label);
    for (int column = 0; column < columns; ++column)
      DrawEditCell(canvas.get(),
                   cxRectBounds(kLabelWidth + column * (kEditCellWidth + kPadding), top, kEditCellWidth,
                                kEditCellHeight),
                   rows[row], kEditButtonStates[column]);
  }
  SavePng(bitmap.get(), AFileName);
  std::fwprintf(stdout, L"%ls\n", AFileName.c_str());
}

BOOL WINAPI SheetVisualStylesOff()
{
  return FALSE;
}

// The native painter once more with visual styles reported off, so that its
// fallback to the standard look can be reviewed too.
void RenderNativeSheetWithoutVisualStyles(const std::vector<TSheetElement>& AElements, const rtl::String& AFolder)
{
  TcxCustomLookAndFeelPainter* native = cxLookAndFeelPaintersManager()->GetPainter(TcxLookAndFeelStyle::lfsNative);
  if (!native)
    return;
  const TdxUxThemeFunctions saved = dxUxThemeFunctions;
  unit_dxThemeManager.finalization();
  dxUxThemeFunctions.IsThemeActive = &SheetVisualStylesOff;
  unit_dxThemeManager.initialization();
  RenderSheetFile(native, AElements, AFolder + L"\\NativeWithoutVisualStyles.png");
  unit_dxThemeManager.finalization();
  dxUxThemeFunctions = saved;
  unit_dxThemeManager.initialization();
}

int RenderSheets(const rtl::String& AFolder)
{
  CreateDirectoryW(AFolder.c_str(), nullptr);
  RenderTabSheets(AFolder);
  RenderEditButtonsSheet(AFolder + L"\\EditButtons.png");
  const std::vector<TSheetElement> elements = SheetElements();
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  for (int i = 0; i < manager->GetCount(); ++i) {
    TcxCustomLookAndFeelPainter* painter = manager->GetItem(i);
    RenderSheetFile(painter, elements, AFolder + L"\\" + painter->LookAndFeelName() + L".png");
  }
  RenderNativeSheetWithoutVisualStyles(elements, AFolder);
  return manager->GetCount() > 0 ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
  if (argc != 2) {
    std::fwprintf(stderr, L"usage: PainterSheet <output folder>\n");
    return 2;
  }
  try {
    // The painters register in the painters unit's start step. The table
    // must outlive the run: the finalization reads it.
    const std::vector<const rtl::UnitInfo*> units = rtl::OrderUnits(rtl::LinkedUnits(), kLinkOrderNames);
    rtl::InitUnits(units);
    const int result = RenderSheets(argv[1]);
    rtl::FinalizeUnits();
    return result;
  } catch (const rtl::Exception& e) {
    std::fwprintf(stderr, L"PainterSheet: %ls\n", e.Message().c_str());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "PainterSheet: %s\n", e.what());
    return 1;
  }
}
