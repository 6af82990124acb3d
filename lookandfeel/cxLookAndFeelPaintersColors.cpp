// The default colours of the base painter: what each control family uses
// when its own style leaves a colour unset. Forwarding answers call through
// the virtual table, so a painter that overrides the target changes them
// too.
#include "graphics/cxGraphicsColors.h"
#include "graphics/dxOffice11.h"
#include "lookandfeel/cxLookAndFeelPainters.h"

using enum TcxButtonState;
using enum TcxEditStateColorKind;

using namespace vcl;

TColor TcxCustomLookAndFeelPainter::DefaultContentColor()
{
  return clWindow;
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerBackgroundColor()
{
  return clWindow;
}

TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorSeparator2Color()
{
  return clWindow;
}

TColor TcxCustomLookAndFeelPainter::DefaultTabsBackgroundColor()
{
  return clWindow;
}

TColor TcxCustomLookAndFeelPainter::DefaultContentTextColor()
{
  return clWindowText;
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerTextColor()
{
  return clWindowText;
}

TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorTextColor()
{
  return clWindowText;
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerViewTextColor()
{
  return clWindowText;
}

TColor TcxCustomLookAndFeelPainter::DefaultControlColor()
{
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorHeaderColor()
{
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultFooterColor()
{
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultGridDetailsSiteColor()
{
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultGroupColor()
{
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultGroupByBoxTextColor()
{
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultHeaderColor()
{
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultHeaderBackgroundTextColor()
{
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultInactiveColor()
{
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultSizeGripAreaColor()
{
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerControlColor()
{
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerNavigatorColor()
{
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultSeparatorColor()
{
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultTabColor()
{
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultRootTabsBackgroundColor()
{
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultTimeGridMinorScaleColor()
{
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultControlTextColor()
{
  return clBtnText;
}

TColor TcxCustomLookAndFeelPainter::DefaultFixedSeparatorColor()
{
  return clBtnText;
}

TColor TcxCustomLookAndFeelPainter::DefaultFooterTextColor()
{
  return clBtnText;
}

TColor TcxCustomLookAndFeelPainter::DefaultGroupTextColor()
{
  return clBtnText;
}

TColor TcxCustomLookAndFeelPainter::DefaultHeaderTextColor()
{
  return clBtnText;
}

TColor TcxCustomLookAndFeelPainter::DefaultInactiveTextColor()
{
  return clBtnText;
}

TColor TcxCustomLookAndFeelPainter::DefaultTabTextColor()
{
  return clBtnText;
}

TColor TcxCustomLookAndFeelPainter::DefaultTimeGridMinorScaleTextColor()
{
  return clBtnText;
}

TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorSeparator1Color()
{
  return clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::DefaultFilterBoxColor()
{
  return clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::DefaultGridLineColor()
{
  return clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::DefaultGroupByBoxColor()
{
  return clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::DefaultHeaderBackgroundColor()
{
  return clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerTimeRulerBorderColorClassic()
{
  return clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::DefaultChartPieDiagramSeriesSiteBorderColor()
{
  return clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::DefaultChartToolBoxDataLevelInfoBorderColor()
{
  return clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::DefaultChartToolBoxItemSeparatorColor()
{
  return clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::DefaultFilterBoxTextColor()
{
  return clBtnHighlight;
}

TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorInactiveTextColor()
{
  return clGrayText;
}

TColor TcxCustomLookAndFeelPainter::DefaultSelectionColor()
{
  return clHighlight;
}

TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorSelectionColor()
{
  return clHighlight;
}

TColor TcxCustomLookAndFeelPainter::DefaultSelectionTextColor()
{
  return clHighlightText;
}

TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorSelectionTextColor()
{
  return clHighlightText;
}

TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorHolydayTextColor()
{
  return clRed;
}

TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorTodayFrameColor()
{
  return clMaroon;
}

TColor TcxCustomLookAndFeelPainter::DefaultHyperlinkTextColor()
{
  return clBlue;
}

TColor TcxCustomLookAndFeelPainter::DefaultPreviewTextColor()
{
  return clBlue;
}

TColor TcxCustomLookAndFeelPainter::DefaultChartPieDiagramSeriesSiteCaptionTextColor()
{
  return clNavy;
}

TColor TcxCustomLookAndFeelPainter::DefaultVGridLineColor()
{
  return clBlack;
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerSelectedEventBorderColor()
{
  return clBlack;
}

TColor TcxCustomLookAndFeelPainter::DefaultTimeGridMajorScaleTextColor()
{
  return clBlack;
}

TColor TcxCustomLookAndFeelPainter::DefaultChartDiagramValueBorderColor()
{
  return clBlack;
}

TColor TcxCustomLookAndFeelPainter::DefaultChartDiagramValueCaptionTextColor()
{
  return clBlack;
}

TColor TcxCustomLookAndFeelPainter::DefaultChartHistogramAxisColor()
{
  return clBlack;
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerViewContentColor()
{
  return clWhite;
}

TColor TcxCustomLookAndFeelPainter::DefaultTimeGridMajorScaleColor()
{
  return clWhite;
}

TColor TcxCustomLookAndFeelPainter::DefaultTimeGridSelectionBarColor()
{
  return clWhite;
}

TColor TcxCustomLookAndFeelPainter::DefaultChartHistogramPlotColor()
{
  return clWhite;
}

TColor TcxCustomLookAndFeelPainter::DefaultVGridCategoryTextColor()
{
  return clDefault;
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerBorderColor()
{
  return TColor{0x9D9DA1};
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerDayHeaderColor()
{
  return TColor{0xF0F0F0};
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerDayHeaderBorderColor()
{
  return TColor{0xE1E1E1};
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerHeaderContainerBorderColor()
{
  return TColor{0xE1E1E1};
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerDayHeaderTextColor()
{
  return TColor{0x444444};
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerTimeRulerTextColor()
{
  return TColor{0x666666};
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerViewContentColorClassic()
{
  return TColor{0xD5FFFF};
}

TColor TcxCustomLookAndFeelPainter::DefaultChartHistogramGridLineColor()
{
  return TColor{0xCFCFCF};
}

TColor TcxCustomLookAndFeelPainter::DefaultChartPieDiagramSeriesSiteCaptionColor()
{
  return TColor{0xF0CAA6};
}

TColor TcxCustomLookAndFeelPainter::DefaultContentEvenColor()
{
  return DefaultContentColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultContentOddColor()
{
  return DefaultContentColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultLayoutViewContentColor()
{
  return DefaultContentColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultRecordSeparatorColor()
{
  return DefaultGridLineColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultTreeListGridLineColor()
{
  return DefaultGridLineColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultTreeListTreeLineColor()
{
  return DefaultGridLineColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultVGridCategoryColor()
{
  return DefaultHeaderColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultVGridHeaderColor()
{
  return DefaultHeaderColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerTimeRulerColorClassic()
{
  return DefaultHeaderColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultVGridHeaderTextColor()
{
  return DefaultHeaderTextColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerTimeRulerTextColorClassic()
{
  return DefaultHeaderTextColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultVGridContentColor()
{
  return GridLikeControlContentColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultVGridContentEvenColor()
{
  return GridLikeControlContentEvenColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultVGridContentOddColor()
{
  return GridLikeControlContentOddColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultVGridContentTextColor()
{
  return DefaultContentTextColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultVGridBandLineColor()
{
  return DefaultVGridLineColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerTimeRulerBorderColor()
{
  return DefaultSchedulerHeaderContainerBorderColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerTimeRulerColor()
{
  return DefaultSchedulerHeaderContainerBackgroundColor(false);
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerViewSelectedTextColor()
{
  return DefaultSelectionTextColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerHeaderContainerAlternateBackgroundColor()
{
  // Read at each call: the scheme may have changed since the last one.
  return dxOffice11UsesSchemeColors() ? TColor{0x8ED3FF} : cxLightPressedSelectionColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultEditorBackgroundColor(bool AIsDisabled)
{
  return DefaultEditorBackgroundColorEx(AIsDisabled ? esckDisabled : esckNormal);
}

TColor TcxCustomLookAndFeelPainter::DefaultEditorTextColor(bool AIsDisabled)
{
  return DefaultEditorTextColorEx(AIsDisabled ? esckDisabled : esckNormal);
}

TColor TcxCustomLookAndFeelPainter::DefaultEditorBackgroundColorEx(TcxEditStateColorKind)
{
  return clDefault;
}

TColor TcxCustomLookAndFeelPainter::DefaultEditorTextColorEx(TcxEditStateColorKind)
{
  return clDefault;
}

TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorContentColor()
{
  const TColor result = DefaultEditorBackgroundColor(false);
  return result == clDefault ? DefaultContentColor() : result;
}

TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorHeaderTextColor(bool AIsHighlight)
{
  return AIsHighlight ? GetHighlightedTextColor() : DefaultHeaderTextColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorTodayTextColor(bool ASelected)
{
  return ASelected ? clDefault : clNavy;
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerDateNavigatorArrowColor(bool AIsHighlight)
{
  return AIsHighlight ? GetHighlightedTextColor() : TColor{0x5F5F5F};
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerContentColor(int)
{
  return clDefault;
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerHeaderContainerBackgroundColor(bool ASelected)
{
  return ASelected ? DefaultSelectionColor() : clWhite;
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerHeaderContainerTextColor(bool ASelected)
{
  return ASelected ? DefaultSelectionTextColor() : DefaultSchedulerDayHeaderTextColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerEventColor(bool)
{
  return TColor{0xD7D7D7};
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerEventColorClassic(bool AIsAllDayEvent)
{
  return AIsAllDayEvent ? clWhite : clWindow;
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerYearViewUnusedContentColor(bool)
{
  return clDefault;
}

TColor TcxCustomLookAndFeelPainter::DefaultLayoutViewCaptionColor(TcxButtonState AState)
{
  switch (AState) {
    case cxbsHot:
      return DefaultSelectionColor();
    case cxbsDisabled:
      return clInactiveCaption;
    default:
      return DefaultGroupColor();
  }
}

TColor TcxCustomLookAndFeelPainter::DefaultLayoutViewCaptionTextColor(TcxGroupBoxCaptionPosition,
                                                                      TcxButtonState AState)
{
  return DefaultLayoutViewContentTextColor(AState);
}

TColor TcxCustomLookAndFeelPainter::DefaultLayoutViewContentTextColor(TcxButtonState AState)
{
  switch (AState) {
    case cxbsPressed:
      return DefaultSelectionTextColor();
    case cxbsDisabled:
      return clInactiveCaptionText;
    default:
      return DefaultContentTextColor();
  }
}

TColor TcxCustomLookAndFeelPainter::DefaultGridOptionsTreeViewCategoryColor(bool ASelected)
{
  return ASelected ? clHighlight : clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::DefaultGridOptionsTreeViewCategoryTextColor(bool ASelected)
{
  return ASelected ? clHighlightText : clBtnText;
}

TRect TcxCustomLookAndFeelPainter::DefaultGroupContentOffsets()
{
  return {0, 0, 0, 0};
}
