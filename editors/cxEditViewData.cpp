// The cxEdit unit's view data: the calculator that lays an editor out into
// its view info (borders, buttons, states, colours) and answers the size
// queries of automatic sizing.
#include "editors/cxEdit.h"

#include <algorithm>

#include "core/cxGeometry.h"
#include "core/dxCore.h"
#include "core/dxThemeManager.h"
#include "core/dxUxTheme.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsDraw.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "lookandfeel/cxLookAndFeels.h"

namespace {

using enum TcxEditButtonState;
using enum TcxEditBorderStyle;
using enum TcxContainerStateItem;

// The 32000-wide bounds of size queries: wide enough for any content, and
// never laid out buttons-only.
constexpr int cxEditMaxBound = 32000;

TRect ReduceRect(const TRect& R, const TRect& AExtent)
{
  return TRect{R.left + AExtent.left, R.top + AExtent.top, R.right - AExtent.right, R.bottom - AExtent.bottom};
}

int StandardBorderWidth(TcxEditBorderStyle AStyle)
{
  return cxGetContainerBorderWidth(static_cast<TcxContainerBorderStyle>(AStyle));
}

bool HasMouseButton(vcl::TShiftState Shift)
{
  using enum vcl::TShiftStateItem;
  return Shift.Contains(ssLeft) || Shift.Contains(ssRight) || Shift.Contains(ssMiddle);
}

bool OnlyLeftButton(vcl::TShiftState Shift)
{
  using enum vcl::TShiftStateItem;
  return Shift.Contains(ssLeft) && !Shift.Contains(ssRight) && !Shift.Contains(ssMiddle);
}

}  // namespace

// ---------------------------------------------------------------------------
// Construction

void TcxCustomEditViewData::Create(TcxCustomEditProperties* AProperties, bool AIsInplace, TcxCustomEditStyle* AStyle)
{
  inherited::Create();
  FProperties = AProperties;
  FIsInplace = AIsInplace;
  FStyle = AStyle;
  FScaleFactor = rtl::New<TdxOwnedScaleFactor>();
  FScaleFactor->Assign(AProperties->GetScaleFactor());
  FLeftSideLeftmostButtonIndex = -1;
  FLeftSideRightmostButtonIndex = -1;
  FRightSideLeftmostButtonIndex = -1;
  FRightSideRightmostButtonIndex = -1;
  InitCacheData();
  SelTextColor = vcl::clDefault;
  SelBackgroundColor = vcl::clDefault;
  InitData();
}

void TcxCustomEditViewData::Destroy()
{
  rtl::FreeAndNil(FScaleFactor);
  inherited::Destroy();
}

TdxScaleFactor* TcxCustomEditViewData::GetScaleFactor() const
{
  return FScaleFactor;
}

void TcxCustomEditViewData::InitCacheData()
{
  ContentOffset = TRect{};
  Enabled = true;
}

void TcxCustomEditViewData::InitData()
{
  ButtonVisibleCount = FProperties->GetButtons()->GetVisibleCount();
  IsValueSource = FProperties->GetEditValueSource(false) == TcxDataEditValueSource::evsValue;
  HorzAlignment = FProperties->GetAlignment()->GetHorz();
  VertAlignment = FProperties->GetAlignment()->GetVert();
  NativeStyle = IsNativeStyle(FStyle->GetLookAndFeel());
  InitEditContentParams(EditContentParams);
}

void TcxCustomEditViewData::InitEditContentParams(TcxEditContentParams& AParams)
{
  AParams.Offsets = GetContentOffsets();
  AParams.SizeCorrection.cx = 3 - AParams.Offsets.left - AParams.Offsets.right;
  AParams.SizeCorrection.cy = NativeStyle ? cxEditInnerHeightCorrection(FProperties, FIsInplace) : 0;
  AParams.ExternalBorderBounds = TRect{};
  AParams.Options = {TcxEditContentOption::ecoOffsetButtonContent};
}

TRect TcxCustomEditViewData::GetContentOffsets()
{
  return FIsInplace ? TRect{1, 1, 1, 1} : TRect{1, 1, 1, 3};
}

bool TcxCustomEditViewData::IsNativeStyle(TcxLookAndFeel* ALookAndFeel)
{
  return ALookAndFeel && cxIsNativeThemeAvailable(ALookAndFeel->GetNativeStyle(), TdxThemedObjectType::totEdit);
}

bool TcxCustomEditViewData::HasShadow()
{
  return cxEditHasShadow(this);
}

TcxEditPaintOptions TcxCustomEditViewData::GetPaintOptions()
{
  TcxEditPaintOptions result = PaintOptions;
  if (!cxRectHasNoArea(EditContentParams.ExternalBorderBounds))
    result.Include(TcxEditPaintOption::epoHasExternalBorder);
  if (EditContentParams.Options.Contains(TcxEditContentOption::ecoShowFocusRectWhenInplace))
    result.Include(TcxEditPaintOption::epoShowFocusRectWhenInplace);
  return result;
}

rtl::String TcxCustomEditViewData::EditValueToDisplayText(const rtl::Variant& AEditValue)
{
  rtl::String result = rtl::VarToStr(EditValueToDisplayValue(AEditValue));
  if (FOnGetDisplayText)
    FOnGetDisplayText(this, result);
  return result;
}

// ---------------------------------------------------------------------------
// Calculate

void TcxCustomEditViewData::CalculateEx(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P,
                                        TcxMouseButton Button, vcl::TShiftState Shift,
                                        TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent)
{
  AViewInfo->Left = ABounds.left;
  AViewInfo->Top = ABounds.top;
  TRect bounds = ABounds;
  OffsetRect(&bounds, -ABounds.left, -ABounds.top);
  Calculate(ACanvas, bounds, TPoint{P.x - ABounds.left, P.y - ABounds.top}, Button, Shift, AViewInfo, AIsMouseEvent);
}

void TcxCustomEditViewData::Calculate(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P,
                                      TcxMouseButton Button, vcl::TShiftState Shift,
                                      TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent)
{
  using enum vcl::TShiftStateItem;
  for (vcl::TShiftStateItem item : {ssShift, ssAlt, ssCtrl, ssTouch, ssPen})
    Shift.Exclude(item);

  const int previousBorderWidth = StandardBorderWidth(AViewInfo->BorderStyle);
  CalculateState(ABounds, P, Button, Shift, AViewInfo);
  // A thinner border than before may change the hot area: look again.
  if (!FIsInplace && !NativeStyle && StandardBorderWidth(FBorderStyle) < previousBorderWidth)
    CalculateState(ABounds, P, Button, Shift, AViewInfo);

  AViewInfo->BorderStyle = FBorderStyle;
  AViewInfo->TcxContainerViewInfo::BorderStyle = static_cast<TcxContainerBorderStyle>(FBorderStyle);
  ContainerState = AViewInfo->ContainerState;
  AViewInfo->EditProperties = FProperties;
  AViewInfo->FScaleFactor->Assign(FScaleFactor);
  AViewInfo->UseRightToLeftAlignment = UseRightToLeftAlignment;

  const TcxEditButtonsViewStyle buttonsViewStyle = FProperties->GetButtonsViewStyle();
  ButtonsOnlyStyle = FIsInplace ? buttonsViewStyle != TcxEditButtonsViewStyle::bvsNormal &&
                                      ABounds.right != cxEditMaxBound
                                : buttonsViewStyle == TcxEditButtonsViewStyle::bvsButtonsOnly;

  AViewInfo->UpdateStyle(FStyle);
  AViewInfo->Bounds = ABounds;
  AViewInfo->Enabled = Enabled;
  AViewInfo->Focused = Focused;
  AViewInfo->FEdit = FEdit;
  AViewInfo->HasBackground = EditorHasBackground();
  AViewInfo->HasInnerEdit = InnerEditVisible();
  AViewInfo->IsDBEditPaintCopyDrawing = EditorIsPaintCopyDrawing();
  AViewInfo->IsContainerInnerControl = EditorIsContainerInnerControl();
  AViewInfo->IsDesigning = IsDesigning;
  AViewInfo->IsInplace = FIsInplace;
  AViewInfo->IsSelected = IsSelected;
  AViewInfo->PaintOptions = GetPaintOptions();
  AViewInfo->Edges = FStyle->GetEdges();

  CalculateValidationInfo(AViewInfo);
  AViewInfo->Font = FStyle->GetDirectAccessMode() ? FStyle->GetFont() : FStyle->GetVisibleFont();
  AViewInfo->Shadow = !FIsInplace && HasShadow();
  AViewInfo->WindowHandle = WindowHandle;

  CalculateBasicLayout(ACanvas, AViewInfo);
  CalculateButtonsViewInfo(ACanvas, AViewInfo->FEditorBounds, P, Button, Shift, AViewInfo, AIsMouseEvent);
  AViewInfo->ClientRect = ReduceRect(AViewInfo->FEditorBounds, GetClientExtent(ACanvas, AViewInfo));
  AViewInfo->InnerEditRect = AViewInfo->HasInnerEdit ? InnerEditBounds() : AViewInfo->ClientRect;
  CalculatePopupBorderStyle(AViewInfo);
  CheckStartButtonsFading(AViewInfo);
}

TcxContainerState TcxCustomEditViewData::CalculateContainerState(const TRect& ABounds, const TPoint& P,
                                                                 TcxMouseButton, vcl::TShiftState Shift)
{
  TcxContainerState result;
  if (!Enabled)
    result = {csDisabled};
  else if (IsDesigning)
    result = {csNormal};
  else
    result = {Focused ? csActive : csNormal};
  TRect visibleBounds = ReduceRect(ABounds, ContentOffset);
  if (FEdit)
    visibleBounds = EditorVisibleBounds();
  if (PtInRect(&visibleBounds, P) && (!HasMouseButton(Shift) || EditorHasMouseCapture()))
    result.Include(csHotTrack);
  return result;
}

void TcxCustomEditViewData::CalculateState(const TRect& ABounds, const TPoint& P, TcxMouseButton Button,
                                           vcl::TShiftState Shift, TcxCustomEditViewInfo* AViewInfo)
{
  ContainerState = CalculateContainerState(ABounds, P, Button, Shift);
  AViewInfo->ContainerState = ContainerState;
  Selected = ContainerState.Contains(csActive) || ContainerState.Contains(csHotTrack);
  if (IsDesigning || FIsInplace || !FStyle->GetHotTrack())
    AViewInfo->HotState = TcxContainerHotState::chsNoHotTrack;
  else
    AViewInfo->HotState = Selected ? TcxContainerHotState::chsSelected : TcxContainerHotState::chsNormal;
  if (FEdit)
    if (TcxCustomEditStyle* style = EditorCurrentStyle())
      FStyle = style;
  FBorderStyle = FIsInplace || !NativeStyle
                     ? GetBorderStyle()
                     : static_cast<TcxEditBorderStyle>(FStyle->GetBaseStyle()->GetBorderStyle());
}

void TcxCustomEditViewData::CalculateValidationInfo(TcxCustomEditViewInfo* AViewInfo)
{
  FValidationErrorIconAlignment = FProperties->GetValidationErrorIconAlignment();
  if (UseRightToLeftAlignment)
    FValidationErrorIconAlignment = FValidationErrorIconAlignment == rtl::TAlignment::taLeftJustify
                                        ? rtl::TAlignment::taRightJustify
                                        : rtl::TAlignment::taLeftJustify;
  TcxEditValidateInfo* errorData = AViewInfo->FErrorData;
  if (!FIsInplace && FEdit) {
    errorData->SetErrorType(EditorHasValidationError() ? TcxEditErrorType::eetError : TcxEditErrorType::eetNone);
    if (TdxSmartImage* icon = FProperties->GetErrorIcon(); icon && !icon->GetEmpty()) {
      // The record keeps a glyph; the properties' icon is an image.
      rtl::TOwnedPtr<TdxSmartGlyph> glyph(rtl::New<TdxSmartGlyph>());
      glyph->Assign(icon);
      errorData->SetErrorIcon(glyph.get());
    }
    errorData->SetErrorText(EditorValidationErrorText());
  }
  TdxSmartGlyph* icon = errorData->GetErrorIcon();
  AViewInfo->FNeedShowErrorIcon = errorData->IsError() &&
                                  FProperties->GetValidationOptions().Contains(TcxEditValidationOption::evoShowErrorIcon) &&
                                  icon && !icon->GetEmpty();
}

int TcxCustomEditViewData::GetErrorIconWidth()
{
  // The shared error glyph stands for the icon when none is given.
  TdxSmartImage* icon = FProperties->GetErrorIcon();
  vcl::TGraphic* graphic = icon && !icon->GetEmpty() ? static_cast<vcl::TGraphic*>(icon)
                                                  : cxEditValidationGlyph(TcxEditErrorType::eetError);
  if (!graphic)
    return 0;
  return cxGetImageSize(graphic, FScaleFactor).cx + FScaleFactor->Apply(3);
}

void TcxCustomEditViewData::CalculateBasicLayout(TcxCanvas*, TcxCustomEditViewInfo* AViewInfo)
{
  AViewInfo->SetCalculated(true);
  AViewInfo->NativeStyle = NativeStyle;
  AViewInfo->NativeState = NativeStyle ? GetEditNativeState(AViewInfo) : 0;
  if (FEdit)
    AViewInfo->Transparent = EditorTransparent();
  AViewInfo->FEditorBounds = AViewInfo->Bounds;
  if (!AViewInfo->OnCalculateEditorBounds.Empty())
    AViewInfo->OnCalculateEditorBounds.GetInvoke()(AViewInfo, AViewInfo->FEditorBounds);

  if (AViewInfo->FNeedShowErrorIcon) {
    TRect& errorBounds = AViewInfo->FErrorBounds;
    errorBounds = AViewInfo->FEditorBounds;
    if (!FEdit)
      ++errorBounds.left;
    const int W = cxGetImageSize(AViewInfo->FErrorData->GetErrorIcon(), FScaleFactor).cx + FScaleFactor->Apply(3);
    if (FValidationErrorIconAlignment == rtl::TAlignment::taLeftJustify) {
      errorBounds.right = errorBounds.left + W;
      AViewInfo->FEditorBounds.left = errorBounds.right;
    } else {
      errorBounds.left = errorBounds.right - W;
      AViewInfo->FEditorBounds.right = errorBounds.left;
    }
  } else {
    AViewInfo->FErrorBounds = TRect{};
  }
  AViewInfo->BorderExtent = GetBorderExtent();
  AViewInfo->BorderRect = ReduceRect(AViewInfo->FEditorBounds, AViewInfo->BorderExtent);
  AViewInfo->ShadowRect = AViewInfo->BorderRect;
  AViewInfo->HasContentOffsets = !cxRectHasNoArea(ContentOffset) || ContentOffset.left != 0 ||
                                 ContentOffset.top != 0 || ContentOffset.right != 0 || ContentOffset.bottom != 0;
  if (!FIsInplace)
    AViewInfo->BorderColor = GetBorderColor();
  CalculateColors(AViewInfo);
}

void TcxCustomEditViewData::CalculateColors(TcxCustomEditViewInfo* AViewInfo)
{
  vcl::TColor color;
  vcl::TColor textColor;
  AViewInfo->GetEditorColors(color, textColor);
  if (textColor == vcl::clDefault)
    textColor = FStyle->GetTextColor();
  AViewInfo->TextColor = textColor;
  if (EditorUsesStyleColor()) {
    color = FStyle->GetColor();
  } else if (color == vcl::clDefault) {
    color = FStyle->GetColor();
    if (!Enabled && NativeStyle && !FStyle->IsValueAssigned(csvColor))
      if (HTHEME theme = dxOpenTheme(TdxThemedObjectType::totEdit)) {
        COLORREF fill;
        if (SUCCEEDED(dxUxGetThemeColor(theme, dxOSIsWindowsVistaOrLater ? 3 : 1, AViewInfo->NativeState, 3802, &fill)))
          color = static_cast<vcl::TColor>(fill);
      }
  }
  AViewInfo->SetBackgroundColor(color);
}

int TcxCustomEditViewData::GetEditNativeState(TcxCustomEditViewInfo*)
{
  if (!Enabled)
    return 4;  // disabled
  if (Focused)
    return 3;  // focused
  if (ContainerState.Contains(csHotTrack))
    return 2;  // hot
  if (FProperties->GetReadOnly())
    return 6;  // read-only
  return 1;
}

// ---------------------------------------------------------------------------
// Borders

TcxEditBorderStyle TcxCustomEditViewData::GetBorderStyle()
{
  if (FIsInplace)
    return ebsNone;
  const auto style = static_cast<TcxEditBorderStyle>(FStyle->GetBorderStyle());
  return style == ebsUltraFlat || style == ebsOffice11 ? ebsSingle : style;
}

TRect TcxCustomEditViewData::GetBorderExtentByEdges(int ABorderWidth)
{
  const TcxBorders edges = FStyle->GetEdges();
  return TRect{edges.Contains(TcxBorder::bLeft) ? ABorderWidth : 0, edges.Contains(TcxBorder::bTop) ? ABorderWidth : 0,
               edges.Contains(TcxBorder::bRight) ? ABorderWidth : 0,
               edges.Contains(TcxBorder::bBottom) ? ABorderWidth : 0};
}

TRect TcxCustomEditViewData::GetBorderExtentByPainter()
{
  const bool transparentBorder = FStyle->GetTransparentBorder();
  if (!FStyle->HasBorder() ||
      (FStyle->GetBorderStyle() == TcxContainerBorderStyle::cbsNone && !transparentBorder))
    return TRect{};
  TcxCustomLookAndFeelPainter* painter = FStyle->GetLookAndFeel()->GetPainter();
  const TcxContainerBorderStyle style =
      transparentBorder ? TcxContainerBorderStyle::cbsThick : static_cast<TcxContainerBorderStyle>(GetBorderStyle());
  return GetBorderExtentByEdges(painter->GetContainerBorderWidth(style));
}

TRect TcxCustomEditViewData::GetBorderExtent()
{
  if (FIsInplace)
    return ContentOffset;
  const bool native = IsNativeStyle(FStyle->GetLookAndFeel());
  TRect result;
  if (FStyle->GetLookAndFeel()->GetSkinPainter())
    result = GetBorderExtentByPainter();
  else if (FStyle->GetTransparentBorder())
    result = TRect{2, 2, 2, 2};
  else if (!FStyle->HasBorder() ||
           (native && FStyle->GetBaseStyle()->GetBorderStyle() == TcxContainerBorderStyle::cbsNone) ||
           (FEdit && EditorTransparent()))
    result = TRect{};
  else if (native)
    result = TRect{2, 2, 2, 2};
  else
    result = GetBorderExtentByEdges(StandardBorderWidth(GetBorderStyle()));
  if (HasShadow()) {
    result.right += cxContainerShadowWidth;
    result.bottom += cxContainerShadowWidth;
  }
  return result;
}

vcl::TColor TcxCustomEditViewData::GetBorderColorByPainter(bool AIsHighlight)
{
  if (FIsInplace)
    return vcl::clDefault;
  return FStyle->GetLookAndFeel()->GetPainter()->GetContainerBorderColor(AIsHighlight);
}

vcl::TColor TcxCustomEditViewData::GetBorderColor()
{
  const bool highlighted =
      ContainerState.Contains(csActive) || (ContainerState.Contains(csHotTrack) && FStyle->GetHotTrack());
  const vcl::TColor byPainter = GetBorderColorByPainter(highlighted);
  if (byPainter != vcl::clDefault)
    return byPainter;
  const auto style = static_cast<TcxEditBorderStyle>(FStyle->GetBorderStyle());
  if (style != ebsUltraFlat && style != ebsOffice11)
    return FStyle->GetBorderColor();
  return cxGetBorderHighlightColor(highlighted || (IsDesigning && Enabled), style == ebsOffice11);
}

TRect TcxCustomEditViewData::GetButtonsExtent(TcxCanvas* ACanvas)
{
  if (FIsInplace)
    return ContentOffset;
  if (!NativeStyle)
    return GetBorderExtent();
  const bool baseHasBorder = FStyle->GetBaseStyle()->GetBorderStyle() != TcxContainerBorderStyle::cbsNone;
  if (!FStyle->GetTransparentBorder() && !baseHasBorder)
    return TRect{};
  if (!baseHasBorder)
    return TRect{2, 2, 2, 2};
  TRect content{0, 0, 100, 100};
  if (HTHEME theme = dxOpenTheme(TdxThemedObjectType::totEdit))
    dxUxGetThemeBackgroundContentRect(theme, ACanvas ? ACanvas->GetHandle() : nullptr, 1, 1, TRect{0, 0, 100, 100},
                                      &content);
  return TRect{content.left, content.top, 100 - content.right, 100 - content.bottom};
}

TRect TcxCustomEditViewData::GetClientExtent(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo)
{
  TRect result = GetBorderExtent();
  if (FProperties->GetButtonsViewStyle() != TcxEditButtonsViewStyle::bvsNormal && AViewInfo->GetButtonCount() > 0) {
    const TRect buttonsExtent = GetButtonsExtent(ACanvas);
    result.left = buttonsExtent.left;
    result.right = buttonsExtent.right;
  }
  if (!IsTouchScrollUIMode) {
    if (HScrollBar && HScrollBar->GetVisible())
      result.bottom += HScrollBar->GetHeight();
    if (VScrollBar && VScrollBar->GetVisible())
      (UseRightToLeftScrollBar ? result.left : result.right) += VScrollBar->GetWidth();
  }
  const TRect& editorBounds = AViewInfo->FEditorBounds;
  for (TcxEditButtonViewInfo* button : AViewInfo->ButtonsInfo) {
    if (button->Data.LeftAlignment)
      result.left = std::max<int>(result.left, button->Bounds.right - editorBounds.left);
    else
      result.right = std::max<int>(result.right, editorBounds.right - button->Bounds.left);
  }
  return result;
}

// ---------------------------------------------------------------------------
// Buttons

TcxEditButtonStyle TcxCustomEditViewData::GetButtonsStyle()
{
  using enum TcxEditButtonStyle;
  const TcxEditButtonStyle style = FStyle->GetButtonStyle();
  if (style != btsDefault)
    return style;
  const auto borderStyle = static_cast<TcxEditBorderStyle>(FStyle->GetBorderStyle());
  if (!FIsInplace && (borderStyle != ebsNone || FStyle->GetHotTrack())) {
    static constexpr TcxEditButtonStyle byBorder[] = {btsSimple, btsHotFlat, bts3D, btsFlat,
                                                      bts3D, btsUltraFlat, btsOffice11};
    return byBorder[static_cast<int>(borderStyle)];
  }
  static constexpr TcxEditButtonStyle byKind[] = {btsFlat, bts3D, btsUltraFlat, btsOffice11};
  return byKind[static_cast<int>(FStyle->GetLookAndFeel()->GetKind())];
}

bool TcxCustomEditViewData::IsButtonLeftAligned(TcxCustomEditButton* AButton)
{
  return AButton->GetLeftAlignment() != UseRightToLeftAlignment;
}

void TcxCustomEditViewData::CalculateButtonsViewInfo(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P,
                                                     TcxMouseButton Button, vcl::TShiftState Shift,
                                                     TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent)
{
  const TcxEditButtonTransparency transparency = FStyle->GetButtonTransparency();
  const bool active = ContainerState.Contains(csActive);
  if (ButtonVisibleCount == 0 || (!active && transparency == TcxEditButtonTransparency::ebtHideInactive) ||
      (!Selected && transparency == TcxEditButtonTransparency::ebtHideUnselected)) {
    AViewInfo->SetButtonCount(0);
    return;
  }
  AViewInfo->SetButtonCount(ButtonVisibleCount);
  AViewInfo->IsButtonReallyPressed = false;
  const int prevPressedButton = AIsMouseEvent ? AViewInfo->PressedButton : -1;
  AViewInfo->PressedButton = -1;
  AViewInfo->SelectedButton = -1;
  FLeftSideLeftmostButtonIndex = -1;
  FLeftSideRightmostButtonIndex = -1;
  FRightSideLeftmostButtonIndex = -1;
  FRightSideRightmostButtonIndex = -1;

  TRect buttonsRect = ReduceRect(ABounds, GetButtonsExtent(ACanvas));
  if (!FIsInplace && NativeStyle && dxOSIsWindowsVistaOrLater && ButtonVisibleCount == 1) {
    // A lone drop-down button of a themed editor takes the whole height.
    for (int i = 0; i < FProperties->GetButtons()->GetCount(); ++i) {
      TcxCustomEditButton* button = FProperties->GetButtons()->GetItems(i);
      if (button->GetVisible()) {
        if (button->GetKind() == TcxEditButtonKind::bkDown)
          buttonsRect = ABounds;
        break;
      }
    }
  }
  const int widthBefore = cxRectGetWidth(buttonsRect);
  DoCalculateButtonViewInfos(ACanvas, AViewInfo, buttonsRect);
  CheckButtonsOnly(AViewInfo, widthBefore, cxRectGetWidth(buttonsRect));
  CalculateButtonStates(AViewInfo, P, Button, Shift, prevPressedButton);
  for (TcxEditButtonViewInfo* button : AViewInfo->ButtonsInfo) {
    if (AViewInfo->OnGetButtonState)
      AViewInfo->OnGetButtonState(button, button->Data.State);
    UpdateButtonNativeInfo(button);
  }
  CalculateButtonSideFlags(AViewInfo);
}

void TcxCustomEditViewData::DoCalculateButtonViewInfos(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo,
                                                       TRect& ButtonsRect)
{
  TcxCustomEditButtons* buttons = FProperties->GetButtons();
  const TcxEditButtonStyle buttonsStyle = GetButtonsStyle();
  bool fontPrepared = false;
  int visibleIndex = ButtonVisibleCount;
  for (int i = buttons->GetCount() - 1; i >= 0 && visibleIndex > 0; --i) {
    TcxCustomEditButton* button = buttons->GetItems(i);
    if (!button->GetVisible())
      continue;
    --visibleIndex;
    if (button->GetKind() == TcxEditButtonKind::bkText && !fontPrepared && ACanvas) {
      ACanvas->SetFont(FStyle->GetVisibleFont());
      AViewInfo->PrepareCanvasFont(ACanvas);
      fontPrepared = true;
    }
    TcxEditButtonViewInfo* viewInfo = AViewInfo->ButtonsInfo[visibleIndex];
    viewInfo->ButtonIndex = i;
    viewInfo->ButtonVisibleIndex = visibleIndex;
    viewInfo->Data.Style = buttonsStyle;
    CalculateButtonViewInfo(ACanvas, AViewInfo, visibleIndex, ButtonsRect);
  }
}

void TcxCustomEditViewData::CalculateButtonViewInfo(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo,
                                                    int AButtonVisibleIndex, TRect& ButtonsRect)
{
  InitializeButtonInfo(AViewInfo, AButtonVisibleIndex);
  CalculateButtonBounds(ACanvas, AViewInfo, AButtonVisibleIndex, ButtonsRect);
}

void TcxCustomEditViewData::InitializeButtonInfo(TcxCustomEditViewInfo* AViewInfo, int AButtonVisibleIndex)
{
  TcxEditButtonViewInfo* viewInfo = AViewInfo->ButtonsInfo[AButtonVisibleIndex];
  TcxCustomEditButton* button = FProperties->GetButtons()->GetItems(viewInfo->ButtonIndex);
  TcxEditButtonViewInfoData& data = viewInfo->Data;
  data.ComboBoxStyle = AViewInfo->GetButtonCount() == 1 && button->GetKind() == TcxEditButtonKind::bkDown;
  data.UseSkins = AViewInfo->UseSkins;
  data.Kind = button->GetKind();
  if (data.Kind == TcxEditButtonKind::bkText) {
    data.Caption = button->GetCaption();
    data.TextColor = AViewInfo->UseSkins && AViewInfo->Painter ? AViewInfo->Painter->EditButtonTextColor()
                                                               : button->GetTextColor();
    data.VisibleCaption = button->GetVisibleCaption();
  }
  data.ContentAlignment = button->GetContentAlignment();
  if (UseRightToLeftAlignment)
    data.ContentAlignment = TdxRightToLeftLayoutConverter::ConvertAlignment(data.ContentAlignment);
  data.Default = button->GetDefault();
  viewInfo->Images = FProperties->GetImages();
  viewInfo->ImageIndex = button->GetImageIndex();
  viewInfo->Glyph = button->GetGlyph();
  viewInfo->HasBackground = AViewInfo->HasBackground;
  data.Gradient = FStyle->GetGradientButtons();
  data.Hint = button->GetHint();
  if (button->GetActionLink())
    button->GetActionLink()->PrepareHint(data.Hint);
  data.ActionLink = button->GetActionLink();
  data.IsInplace = FIsInplace;
  data.LeftAlignment = IsButtonLeftAligned(button);
  data.Leftmost = false;
  data.Rightmost = false;
  data.NativeStyle = NativeStyle;
  viewInfo->Stretchable = button->GetStretchable();
  if (button->GetWidth() > 0) {
    viewInfo->Width = FScaleFactor->Apply(button->GetWidth(), FProperties->GetScaleFactor());
  } else {
    viewInfo->Width = 0;
    if (FOnGetDefaultButtonWidth)
      FOnGetDefaultButtonWidth(this, viewInfo->ButtonIndex, viewInfo->Width);
  }
  const TcxEditButtonTransparency transparency = FStyle->GetButtonTransparency();
  data.Transparent = transparency == TcxEditButtonTransparency::ebtAlways ||
                     (transparency == TcxEditButtonTransparency::ebtInactive && !Selected);
  data.BackgroundColor = AViewInfo->GetBackgroundColor();
}

void TcxCustomEditViewData::CalculateButtonBounds(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo,
                                                  int AButtonVisibleIndex, TRect& ButtonsRect)
{
  TcxEditButtonViewInfo* viewInfo = AViewInfo->ButtonsInfo[AButtonVisibleIndex];
  if (cxRectHasNoArea(ButtonsRect)) {
    viewInfo->Bounds = TRect{};
    viewInfo->VisibleBounds = TRect{};
    return;
  }
  const int width = cxEditCalculateButtonWidth(ACanvas, viewInfo);
  const int visibleWidth = std::min<int>(width, cxRectGetWidth(ButtonsRect));
  if (viewInfo->Data.LeftAlignment) {
    viewInfo->Bounds = TRect{ButtonsRect.left, ButtonsRect.top, ButtonsRect.left + width, ButtonsRect.bottom};
    viewInfo->VisibleBounds =
        TRect{ButtonsRect.left, ButtonsRect.top, ButtonsRect.left + visibleWidth, ButtonsRect.bottom};
    ButtonsRect.left += visibleWidth;
    if (FLeftSideLeftmostButtonIndex < 0)
      FLeftSideLeftmostButtonIndex = AButtonVisibleIndex;
    FLeftSideRightmostButtonIndex = AButtonVisibleIndex;
  } else {
    viewInfo->Bounds = TRect{ButtonsRect.right - width, ButtonsRect.top, ButtonsRect.right, ButtonsRect.bottom};
    viewInfo->VisibleBounds =
        TRect{ButtonsRect.right - visibleWidth, ButtonsRect.top, ButtonsRect.right, ButtonsRect.bottom};
    ButtonsRect.right -= visibleWidth;
    if (FRightSideRightmostButtonIndex < 0)
      FRightSideRightmostButtonIndex = AButtonVisibleIndex;
    FRightSideLeftmostButtonIndex = AButtonVisibleIndex;
  }
}

void TcxCustomEditViewData::CheckButtonsOnly(TcxCustomEditViewInfo* AViewInfo, int APrevButtonsWidth,
                                             int AButtonsWidth)
{
  if (!ButtonsOnlyStyle || AButtonsWidth <= 0)
    return;
  std::vector<TcxEditButtonViewInfo*>& buttons = AViewInfo->ButtonsInfo;
  std::vector<bool> candidate(buttons.size());
  int count = 0;
  int sum = 0;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    candidate[i] = buttons[i]->Stretchable && !IgnoreButtonWhileStretching(static_cast<int>(i));
    if (candidate[i]) {
      ++count;
      sum += cxRectGetWidth(buttons[i]->Bounds);
    }
  }
  if (count == 0) {
    std::fill(candidate.begin(), candidate.end(), true);
    count = static_cast<int>(buttons.size());
    sum = APrevButtonsWidth - AButtonsWidth;
  }
  int remaining = AButtonsWidth;
  int left = count;
  for (int i = static_cast<int>(buttons.size()) - 1; i >= 0; --i) {
    if (!candidate[i])
      continue;
    TcxEditButtonViewInfo* button = buttons[i];
    --left;
    const int extra = left == 0 ? remaining : (sum < 1 ? 0 : cxRectGetWidth(button->Bounds) * AButtonsWidth / sum);
    remaining -= extra;
    if (button->Data.LeftAlignment) {
      const int edge = button->Bounds.right;
      button->Bounds.right += extra;
      for (TcxEditButtonViewInfo* other : buttons)
        if (other != button && other->Data.LeftAlignment && other->Bounds.left >= edge)
          OffsetRect(&other->Bounds, extra, 0);
    } else {
      const int edge = button->Bounds.left;
      button->Bounds.left -= extra;
      for (TcxEditButtonViewInfo* other : buttons)
        if (other != button && !other->Data.LeftAlignment && other->Bounds.right <= edge)
          OffsetRect(&other->Bounds, -extra, 0);
    }
  }
  for (TcxEditButtonViewInfo* button : buttons)
    button->VisibleBounds = button->Bounds;
}

void TcxCustomEditViewData::CalculateButtonStates(TcxCustomEditViewInfo* AViewInfo, const TPoint& P,
                                                  TcxMouseButton Button, vcl::TShiftState Shift,
                                                  int APrevPressedButton)
{
  using enum vcl::TShiftStateItem;
  TcxCustomEditButtons* buttons = FProperties->GetButtons();
  const int capturedIndex = EditorCaptureButtonVisibleIndex();
  for (int i = 0; i < AViewInfo->GetButtonCount(); ++i) {
    TcxEditButtonViewInfo* viewInfo = AViewInfo->ButtonsInfo[i];
    const TcxEditButtonState previous = viewInfo->Data.State;
    TcxEditButtonState state = ebsNormal;
    const bool pressedByOwner = IsButtonPressedByOwner(viewInfo);
    if (!Enabled || !buttons->GetItems(viewInfo->ButtonIndex)->GetEnabled()) {
      state = ebsDisabled;
    } else if (pressedByOwner || (!IsDesigning && PtInRect(&viewInfo->VisibleBounds, P))) {
      const bool captured = Button == TcxMouseButton::cxmbNone && Shift.Contains(ssLeft) && previous == ebsNormal &&
                            i == capturedIndex;
      const bool leftDown = Button == TcxMouseButton::cxmbLeft && OnlyLeftButton(Shift);
      const bool stillPressed = previous == ebsPressed && Shift.Contains(ssLeft);
      if (pressedByOwner || leftDown || stillPressed || captured)
        AViewInfo->IsButtonReallyPressed = true;
      if (!pressedByOwner && !HasMouseButton(Shift) && !Shift.Contains(ssDouble) && !captured) {
        state = ebsSelected;
        AViewInfo->SelectedButton = i;
      } else if (pressedByOwner || (captured && CanPressButton(AViewInfo, i)) ||
                 (OnlyLeftButton(Shift) &&
                  ((Button == TcxMouseButton::cxmbLeft && CanPressButton(AViewInfo, i)) || i == APrevPressedButton)) ||
                 stillPressed) {
        state = ebsPressed;
        AViewInfo->PressedButton = i;
      }
    }
    viewInfo->Data.State = state;
  }
}

void TcxCustomEditViewData::CalculateButtonSideFlags(TcxCustomEditViewInfo* AViewInfo)
{
  std::vector<TcxEditButtonViewInfo*>& buttons = AViewInfo->ButtonsInfo;
  const bool leftSide = FLeftSideLeftmostButtonIndex >= 0;
  const bool rightSide = FRightSideRightmostButtonIndex >= 0;
  if (leftSide) {
    buttons[FLeftSideLeftmostButtonIndex]->Data.Leftmost = true;
    if (!(ButtonsOnlyStyle && rightSide))
      buttons[FLeftSideRightmostButtonIndex]->Data.Rightmost = true;
  }
  if (rightSide) {
    if (!(ButtonsOnlyStyle && leftSide))
      buttons[FRightSideLeftmostButtonIndex]->Data.Leftmost = true;
    buttons[FRightSideRightmostButtonIndex]->Data.Rightmost = true;
  }
  if (ButtonsOnlyStyle)
    for (TcxEditButtonViewInfo* button : buttons)
      button->Data.LeftAlignment = false;
}

HTHEME TcxCustomEditViewData::ButtonTheme(TcxEditButtonViewInfo* AViewInfo)
{
  return dxOpenTheme(AViewInfo->Data.ComboBoxStyle ? TdxThemedObjectType::totComboBox
                                                    : TdxThemedObjectType::totButton);
}

void TcxCustomEditViewData::UpdateButtonNativeInfo(TcxEditButtonViewInfo* AViewInfo)
{
  UpdateButtonNativePart(AViewInfo, AViewInfo->Data.NativeStyle ? ButtonTheme(AViewInfo) : nullptr);
}

void TcxCustomEditViewData::UpdateButtonNativePart(TcxEditButtonViewInfo* AViewInfo, HTHEME ATheme)
{
  TcxEditButtonViewInfoData& data = AViewInfo->Data;
  if (data.ComboBoxStyle && dxOSIsWindowsVistaOrLater && !FIsInplace && ATheme)
    data.NativePart = data.LeftAlignment ? 7 : 6;
  else
    data.NativePart = ATheme ? 1 : 0;
  static constexpr int states[] = {4, 1, 3, 2};
  data.NativeState = data.NativePart != 0 ? states[static_cast<int>(data.State)] : 0;
  data.BackgroundPartiallyTransparent =
      data.UseSkins ||
      (data.NativePart != 0 && dxUxIsThemeBackgroundPartiallyTransparent(ATheme, data.NativePart, data.NativeState));
}

void TcxCustomEditViewData::CheckStartButtonsFading(TcxCustomEditViewInfo* AViewInfo)
{
  for (TcxEditButtonViewInfo* button : AViewInfo->ButtonsInfo)
    if (button->FadingHelper)
      button->FadingHelper->UpdateState();
}

void TcxCustomEditViewData::CalculatePopupBorderStyle(TcxCustomEditViewInfo* AViewInfo)
{
  using enum TcxEditPopupBorderStyle;
  TcxEditPopupBorderStyle result = FStyle->GetPopupBorderStyle();
  if (result == epbsDefault && FEdit) {
    static constexpr TcxEditPopupBorderStyle byKind[] = {epbsFlat, epbsFrame3D, epbsSingle, epbsSingle};
    static constexpr TcxEditPopupBorderStyle byBorder[] = {epbsFlat,   epbsSingle, epbsSingle, epbsFlat,
                                                           epbsSingle, epbsSingle, epbsSingle};
    const int kind = static_cast<int>(FStyle->GetLookAndFeel()->GetKind());
    if (FIsInplace)
      result = byKind[kind];
    else if (AViewInfo->BorderStyle != ebsNone || AViewInfo->GetButtonCount() == 0)
      result = byBorder[static_cast<int>(AViewInfo->BorderStyle)];
    else
      result = byKind[kind];
  }
  AViewInfo->PopupBorderStyle = result;
}

// ---------------------------------------------------------------------------
// Sizes

TSize TcxCustomEditViewData::GetEditContentSizeCorrection()
{
  const TRect& offsets = EditContentParams.Offsets;
  return TSize{offsets.left + offsets.right + EditContentParams.SizeCorrection.cx,
               offsets.top + offsets.bottom + EditContentParams.SizeCorrection.cy};
}

TSize TcxCustomEditViewData::GetEditContentSize(TcxCanvas* ACanvas, const rtl::Variant& AEditValue,
                                                const TcxEditSizeProperties& AEditSizeProperties,
                                                TcxEditValidateInfo* AErrorData)
{
  TSize result;
  if (FProperties->GetButtonsViewStyle() != TcxEditButtonsViewStyle::bvsNormal) {
    ACanvas->SetFont(FStyle->GetVisibleFont());
    result = TSize{0, GetEditContentSizeCorrection().cy + ACanvas->TextHeight(L"Wg")};
  } else {
    result = CalculateValueContentSize(ACanvas, AEditValue, AEditSizeProperties);
  }
  if (AErrorData && AErrorData->IsError() &&
      FProperties->GetValidationOptions().Contains(TcxEditValidationOption::evoShowErrorIcon))
    result.cx += GetErrorIconWidth();
  if (SupportsTouchMode) {
    int height = result.cy;
    cxEnsureTouchExtent(height, FScaleFactor);
    result.cy = height;
  }
  return result;
}

TSize TcxCustomEditViewData::GetEditingContentSize(TcxCanvas* ACanvas, const rtl::Variant& AEditValue,
                                                   const TcxEditSizeProperties& AEditSizeProperties)
{
  return GetEditContentSize(ACanvas, AEditValue, AEditSizeProperties, nullptr);
}

TSize TcxCustomEditViewData::GetEditConstantPartSize(TcxCanvas* ACanvas, const TcxEditSizeProperties&,
                                                     TSize& MinContentSize, TcxCustomEditViewInfo* AViewInfo)
{
  rtl::TOwnedPtr<TcxCustomEditViewInfo> ownViewInfo;
  if (!AViewInfo) {
    ownViewInfo.reset(CreateSizeViewInfo());
    AViewInfo = ownViewInfo.get();
    Calculate(ACanvas, TRect{0, 0, cxEditMaxBound, cxEditMaxBound}, TPoint{-1, -1}, TcxMouseButton::cxmbNone, {},
              AViewInfo, false);
  }
  TSize result;
  CalculateConstantPartSize(ACanvas, AViewInfo, result, MinContentSize);
  return result;
}

void TcxCustomEditViewData::CalculateConstantPartSize(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo,
                                                      TSize& AConstantPart, TSize& MinContentSize)
{
  MinContentSize = TSize{0, 0};
  if (cxRectHasNoArea(AViewInfo->Bounds) || cxRectHasNoArea(AViewInfo->ClientRect)) {
    const TRect extent = GetClientExtent(ACanvas, AViewInfo);
    AConstantPart = TSize{extent.left + extent.right, extent.top + extent.bottom};
  } else {
    AConstantPart = TSize{cxRectGetWidth(AViewInfo->Bounds) - cxRectGetWidth(AViewInfo->ClientRect),
                          cxRectGetHeight(AViewInfo->Bounds) - cxRectGetHeight(AViewInfo->ClientRect)};
  }
  int tallest = 0;
  bool fontPrepared = false;
  for (TcxEditButtonViewInfo* button : AViewInfo->ButtonsInfo) {
    if (button->Data.Kind == TcxEditButtonKind::bkGlyph &&
        cxIsImageAssigned(button->Glyph, button->Images, button->ImageIndex))
      tallest = std::max<int>(tallest, cxGetImageSize(button->Glyph, button->Images, button->ImageIndex,
                                                      FScaleFactor).cy);
    else if (FIsInplace && button->Data.Kind == TcxEditButtonKind::bkText && !button->Data.VisibleCaption.empty()) {
      if (!fontPrepared) {
        ACanvas->SetFont(FStyle->GetVisibleFont());
        AViewInfo->PrepareCanvasFont(ACanvas);
        fontPrepared = true;
      }
      tallest = std::max<int>(tallest, ACanvas->TextHeight(button->Data.VisibleCaption));
    }
  }
  if (tallest <= 0)
    return;
  if (!FStyle->GetLookAndFeel()->GetSkinPainter()) {
    const TRect extent = GetButtonsExtent(ACanvas);
    tallest += extent.top + extent.bottom;
  }
  tallest += cxEditButtonsVerticalMargin(ACanvas, GetButtonsStyle(), AViewInfo->NativeStyle);
  MinContentSize.cy = std::max<int>(0, tallest - AConstantPart.cy);
}

TSize TcxCustomEditViewData::GetEditSize(TcxCanvas* ACanvas, const rtl::Variant& AEditValue,
                                         TcxEditSizeProperties AEditSizeProperties, TcxCustomEditViewInfo* AViewInfo)
{
  TSize minContentSize;
  const TSize constant = GetEditConstantPartSize(ACanvas, AEditSizeProperties, minContentSize, AViewInfo);
  if (AEditSizeProperties.Height > 0)
    AEditSizeProperties.Height = std::max<int>(AEditSizeProperties.Height - constant.cy, 0);
  if (AEditSizeProperties.Width > 0)
    AEditSizeProperties.Width = std::max<int>(AEditSizeProperties.Width - constant.cx, 0);
  TSize content = GetEditContentSize(ACanvas, AEditValue, AEditSizeProperties,
                                     AViewInfo ? AViewInfo->GetErrorData() : nullptr);
  content.cx = std::max<int>(content.cx, minContentSize.cx);
  content.cy = std::max<int>(content.cy, minContentSize.cy);
  return ApplyConstraints(TSize{constant.cx + content.cx, constant.cy + content.cy});
}

TSize TcxCustomEditViewData::GetEditingSize(TcxCanvas* ACanvas, const rtl::Variant& AEditValue,
                                            TcxEditSizeProperties AEditSizeProperties,
                                            TcxCustomEditViewInfo* AViewInfo)
{
  if (!FProperties->GetSupportedOperations().Contains(TcxEditSupportedOperation::esoEditingAutoHeight))
    return GetEditSize(ACanvas, AEditValue, AEditSizeProperties, AViewInfo);
  TSize minContentSize;
  const TSize constant = GetEditConstantPartSize(ACanvas, AEditSizeProperties, minContentSize, AViewInfo);
  if (AEditSizeProperties.Height > 0)
    AEditSizeProperties.Height = std::max<int>(AEditSizeProperties.Height - constant.cy, 0);
  if (AEditSizeProperties.Width > 0)
    AEditSizeProperties.Width = std::max<int>(AEditSizeProperties.Width - constant.cx, 0);
  TSize content = GetEditingContentSize(ACanvas, AEditValue, AEditSizeProperties);
  content.cx = std::max<int>(content.cx, minContentSize.cx);
  content.cy = std::max<int>(content.cy, minContentSize.cy);
  return ApplyConstraints(TSize{constant.cx + content.cx, constant.cy + content.cy});
}
