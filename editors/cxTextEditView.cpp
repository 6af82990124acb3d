// The text editors' view data and view info: the text rectangle, the flag
// word of the text engine, the selection colours, the content size of
// automatic sizing, and the painting of the text where no live EDIT window
// shows it.
#include <algorithm>

#include "core/dxUxTheme.h"
#include "editors/cxTextEdit.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsColors.h"
#include "platform/vcl/GraphicsHandles.h"

namespace {

constexpr unsigned cxTextVertAlignCenter = 0x10;
constexpr unsigned cxTextVertAlignBottom = 0x20;

int cxRectWidth(const TRect& R)
{
  return R.right - R.left;
}

int cxRectHeight(const TRect& R)
{
  return R.bottom - R.top;
}

bool cxIsListStyle(TcxEditEditingStyle AStyle)
{
  return AStyle == TcxEditEditingStyle::esFixedList || AStyle == TcxEditEditingStyle::esNoEdit;
}

// The height of one row of the canvas's current font.
int cxRowHeight(TcxCanvas* ACanvas)
{
  return ACanvas->TextHeight(L"Zg");
}

// The flags with single line turned into word breaking at edit-control
// rules, as a row count or rectangle measure needs them.
unsigned cxMultiLineFlags(unsigned AFlags)
{
  return (AFlags & ~cxdtfSingleLine) | cxdtfWordBreak | cxdtfEditControl;
}

// The rows AText takes within AWidth (at most AMaxRows when positive) and
// the widest of them, measured in the canvas's font.
TSize cxMeasureRows(TcxCanvas* ACanvas, const rtl::String& AText, unsigned AFlags, int AWidth, int AMaxRows,
                    int& ARowCount)
{
  TRect R{0, 0, AWidth, 32000};
  const HDC dc = ACanvas->GetHandle();
  ARowCount = cxDrawTextEx(dc, AText, R, AFlags | cxdtfCalcRowCount, ACanvas->GetFont(), vcl::clDefault, 0, 0,
                           AMaxRows);
  R = TRect{0, 0, AWidth, 32000};
  cxDrawTextEx(dc, AText, R, AFlags | cxdtfCalcRect, ACanvas->GetFont(), vcl::clDefault, 0, 0, AMaxRows);
  return TSize{cxRectWidth(R), cxRectHeight(R)};
}

}  // namespace

// ---------------------------------------------------------------------------
// Routines

TRect cxTextEditCalcDrawTextOffset(TcxCustomEditViewData* AViewData)
{
  TRect result = AViewData->EditContentParams.Offsets;
  auto* textData = rtl::As<TcxCustomTextEditViewData>(AViewData);
  if (!textData || AViewData->GetIsInplace() || !cxIsListStyle(textData->GetTextProperties()->GetEditingStyle()))
    return result;
  ++result.top;
  --result.bottom;
  if (AViewData->HorzAlignment == rtl::TAlignment::taRightJustify)
    ++result.right;
  else
    ++result.left;
  return result;
}

TSize cxTextEditCalculateContentSize(TcxCustomTextEditViewData* AViewData, TcxCanvas* ACanvas,
                                     const rtl::String& AText, unsigned AFlags,
                                     const TcxEditSizeProperties& AEditSizeProperties, int ARowLimit,
                                     bool AAddCorrection)
{
  using enum TcxEditPaintOption;
  ACanvas->SetFont(AViewData->Style()->GetVisibleFont());
  const int rowHeight = cxRowHeight(ACanvas);
  const bool zeroHeight = AViewData->PaintOptions.Contains(epoAllowZeroHeight);
  const bool inplace = AViewData->GetIsInplace();
  const bool alignmentPixel = AViewData->ReservesAlignmentPixel();
  TSize result{0, 0};
  if (AEditSizeProperties.Width >= 0) {
    if (ARowLimit > 0) {
      result = TSize{AEditSizeProperties.Width, ARowLimit * rowHeight};
    } else {
      const int width = AEditSizeProperties.Width - 3 + (inplace ? 0 : 2) + (alignmentPixel ? 0 : 1);
      result.cx = width > 0 ? AEditSizeProperties.Width : 0;
      if (AText.empty()) {
        result.cy = zeroHeight ? 0 : rowHeight;
      } else if (width > 0) {
        int rows = 0;
        cxMeasureRows(ACanvas, AText, cxMultiLineFlags(AFlags) & ~cxdtfAlignYMask, width,
                      AEditSizeProperties.MaxLineCount, rows);
        result.cy = std::max(rows, 1) * rowHeight;
      } else {
        result.cy = rowHeight;
      }
    }
  } else {
    const bool multiLine = (AFlags & cxdtfSingleLine) == 0;
    const bool autoHeight = AViewData->PaintOptions.Contains(epoAutoHeight) &&
                            AViewData->GetProperties()->GetSupportedOperations().Contains(TcxEditSupportedOperation::esoAutoHeight);
    if (multiLine || autoHeight) {
      int rows = 0;
      const int maxRows = ARowLimit > 0 ? ARowLimit : AEditSizeProperties.MaxLineCount;
      result.cx = AText.empty() ? 0 : cxMeasureRows(ACanvas, AText, cxMultiLineFlags(AFlags), 32000, maxRows, rows).cx;
      result.cy = ARowLimit > 0 ? ARowLimit * rowHeight : rowHeight;
    } else {
      result.cy = rowHeight;
      result.cx = AText.empty() ? 0 : ACanvas->TextWidth(AText);
    }
  }
  if (alignmentPixel)
    ++result.cx;
  if (AAddCorrection) {
    const TSize correction = AViewData->GetEditContentSizeCorrection();
    result.cx += correction.cx;
    if (result.cy > 0)
      result.cy += correction.cy;
  }
  return result;
}

namespace {

void cxTextEditCalculateTextRect(TcxCustomTextEditViewData* AViewData, TcxCanvas* ACanvas,
                                 TcxCustomTextEditViewInfo* AViewInfo)
{
  const TRect offset = AViewData->GetDrawTextOffset();
  const TRect& client = AViewInfo->ClientRect;
  TRect R{client.left + offset.left, client.top + offset.top, client.right - offset.right,
          client.bottom - offset.bottom};
  if (!AViewData->GetIsInplace()) {
    const int textHeight = cxRowHeight(ACanvas);
    if (cxRectHeight(R) < textHeight)
      R.bottom = std::min<LONG>(client.bottom, R.top + textHeight);
  }
  AViewInfo->TextRect = R;
}

// Whether the text of an auto-height single-line editor needs several rows:
// then it is laid out as multi-line, and from the top when it overflows.
void cxTextEditCalculateMultiLineFlags(TcxCustomTextEditViewData* AViewData, TcxCanvas* ACanvas,
                                       TcxCustomTextEditViewInfo* AViewInfo)
{
  AViewInfo->DrawTextFlags = AViewData->GetDrawTextFlags();
  if (AViewInfo->Text.empty())
    return;
  const TRect offset = AViewData->GetDrawTextOffset();
  const TRect& contentOffset = AViewData->EditContentParams.Offsets;
  int width = cxRectWidth(AViewInfo->TextRect) + offset.left + offset.right -
              AViewData->GetEditContentSizeCorrection().cx - contentOffset.left - contentOffset.right;
  if (AViewData->HorzAlignment == rtl::TAlignment::taRightJustify)
    ++width;
  const int rowHeight = std::max(cxRowHeight(ACanvas), 1);
  const int textHeight = cxRectHeight(AViewInfo->TextRect);
  const int rowLimit = (textHeight + rowHeight - 1) / rowHeight + 1;
  int rows = 0;
  cxMeasureRows(ACanvas, AViewInfo->Text, cxMultiLineFlags(AViewInfo->DrawTextFlags) | cxdtfCalcRowCount,
                std::max(width, 1), rowLimit, rows);
  if (rows <= 1)
    return;
  unsigned flags = cxMultiLineFlags(AViewInfo->DrawTextFlags);
  if (rows * rowHeight > textHeight) {
    const bool centreFits = AViewInfo->MaxLineCount != 0 && AViewInfo->MaxLineCount < rows;
    if ((flags & cxdtfAlignYMask) == cxTextVertAlignBottom ||
        ((flags & cxdtfAlignYMask) == cxTextVertAlignCenter && !centreFits))
      flags &= ~cxdtfAlignYMask;
  }
  AViewInfo->DrawTextFlags = flags;
}

}  // namespace

// ---------------------------------------------------------------------------
// TcxCustomTextEditViewData

void TcxCustomTextEditViewData::InitData()
{
  inherited::InitData();
  FIsValueFormatted = GetProperties()->IsValueFormattedByProvider();
}

bool TcxCustomTextEditViewData::GetIsEditClass()
{
  TcxCustomEdit* edit = GetEdit();
  return edit && edit->IsEditClass();
}

void TcxCustomTextEditViewData::Calculate(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P,
                                          TcxMouseButton Button, vcl::TShiftState Shift,
                                          TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent)
{
  inherited::Calculate(ACanvas, ABounds, P, Button, Shift, AViewInfo, AIsMouseEvent);
  auto* viewInfo = static_cast<TcxCustomTextEditViewInfo*>(AViewInfo);
  viewInfo->DrawSelectionBar = false;
  viewInfo->EditingStyle = GetTextProperties()->GetEditingStyle();
  viewInfo->IsEditClass = GetIsEditClass();
  ACanvas->SetFont(viewInfo->Font);
  viewInfo->HasPopupWindow = GetEdit() && GetEdit()->HasPopupWindow();
  cxTextEditCalculateTextRect(this, ACanvas, viewInfo);
  viewInfo->MaxLineCount = GetMaxLineCount();
  viewInfo->TextOutData.Initialized = false;
  CalculateTextFlags(ACanvas, AViewInfo);
}

void TcxCustomTextEditViewData::CalculateTextFlags(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo)
{
  auto* viewInfo = static_cast<TcxCustomTextEditViewInfo*>(AViewInfo);
  const TcxEditPaintOptions options = GetPaintOptions();
  if (!GetTextProperties()->IsMultiLine() &&
      GetProperties()->GetSupportedOperations().Contains(TcxEditSupportedOperation::esoAutoHeight) &&
      options.Contains(TcxEditPaintOption::epoAutoHeight) && viewInfo->Font) {
    ACanvas->SetFont(viewInfo->Font);
    cxTextEditCalculateMultiLineFlags(this, ACanvas, viewInfo);
  } else {
    viewInfo->DrawTextFlags = GetDrawTextFlags();
  }
  if (options.Contains(TcxEditPaintOption::epoShowEndEllipsis))
    viewInfo->DrawTextFlags |= cxdtfEndEllipsis;
  viewInfo->ComboBoxStyle = IsComboBoxStyle();
}

unsigned TcxCustomTextEditViewData::GetDrawTextFlags()
{
  rtl::TAlignment horz = HorzAlignment;
  if (UseRightToLeftAlignment && horz != rtl::TAlignment::taCenter)
    horz = horz == rtl::TAlignment::taLeftJustify ? rtl::TAlignment::taRightJustify : rtl::TAlignment::taLeftJustify;
  unsigned result = 0;
  if (horz == rtl::TAlignment::taRightJustify)
    result = taRight;
  else if (horz == rtl::TAlignment::taCenter)
    result = taCenterX;
  if (VertAlignment == TcxEditVertAlignment::taBottomJustify)
    result |= cxTextVertAlignBottom;
  else if (VertAlignment == TcxEditVertAlignment::taVCenter)
    result |= cxTextVertAlignCenter;
  result |= cxdtfSingleLine | cxdtfPreventLeftExceed | cxdtfPreventTopExceed;
  if (UseRightToLeftReading)
    result |= cxdtfRTLReading;
  return result;
}

TRect TcxCustomTextEditViewData::GetDrawTextOffset()
{
  return cxTextEditCalcDrawTextOffset(this);
}

bool TcxCustomTextEditViewData::ReservesAlignmentPixel()
{
  return !GetIsInplace() && cxIsListStyle(GetTextProperties()->GetEditingStyle());
}

void TcxCustomTextEditViewData::DisplayValueToDrawValue(const rtl::Variant& ADisplayValue,
                                                        TcxCustomEditViewInfo* AViewInfo)
{
  rtl::String text = rtl::VarToStr(ADisplayValue);
  GetTextProperties()->PrepareDrawText(NativeStyle, text);
  static_cast<TcxCustomTextEditViewInfo*>(AViewInfo)->SetText(text);
}

rtl::Variant TcxCustomTextEditViewData::EditValueToDisplayValue(const rtl::Variant& AEditValue)
{
  rtl::String text = FIsValueFormatted ? rtl::VarToStr(AEditValue) : GetTextProperties()->FormatEditValue(AEditValue, Focused);
  GetTextProperties()->PrepareDrawText(NativeStyle, text);
  return rtl::Variant(text);
}

void TcxCustomTextEditViewData::EditValueToDrawValue(const rtl::Variant& AEditValue,
                                                     TcxCustomEditViewInfo* AViewInfo)
{
  auto* viewInfo = static_cast<TcxCustomTextEditViewInfo*>(AViewInfo);
  viewInfo->SetText(PreviewMode ? rtl::String() : rtl::VarToStr(EditValueToDisplayValue(AEditValue)));
  PrepareSelection(AViewInfo);
}

void TcxCustomTextEditViewData::PrepareSelection(TcxCustomEditViewInfo* AViewInfo)
{
  auto* viewInfo = static_cast<TcxCustomTextEditViewInfo*>(AViewInfo);
  viewInfo->SelStart = SelStart;
  viewInfo->SelLength = SelLength;
  if (SelLength == 0)
    return;
  if (SelBackgroundColor != vcl::clDefault) {
    viewInfo->SelBackgroundColor = SelBackgroundColor;
    viewInfo->SelTextColor = SelTextColor != vcl::clDefault ? SelTextColor : cxInvertColor(SelBackgroundColor);
  } else if (SelTextColor != vcl::clDefault) {
    viewInfo->SelTextColor = SelTextColor;
    viewInfo->SelBackgroundColor = cxInvertColor(SelTextColor);
  } else if (Style()->GetColor() == vcl::clHighlight) {
    // Highlight on highlight would hide the selection.
    viewInfo->SelBackgroundColor = vcl::clBlack;
    viewInfo->SelTextColor = vcl::clWhite;
  } else {
    viewInfo->SelBackgroundColor = vcl::clHighlight;
    viewInfo->SelTextColor = vcl::clHighlightText;
  }
}

TRect TcxCustomTextEditViewData::GetClientExtent(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo)
{
  TRect result = inherited::GetClientExtent(ACanvas, AViewInfo);
  if (!GetIsInplace() && IsComboBoxStyle() && NativeStyle)
    ++result.right;
  return result;
}

TSize TcxCustomTextEditViewData::CalculateValueContentSize(TcxCanvas* ACanvas, const rtl::Variant& AEditValue,
                                                           const TcxEditSizeProperties& AEditSizeProperties)
{
  const TSize base = inherited::CalculateValueContentSize(ACanvas, AEditValue, AEditSizeProperties);
  const rtl::String text = rtl::VarToStr(EditValueToDisplayValue(AEditValue));
  const TSize size =
      cxTextEditCalculateContentSize(this, ACanvas, text, GetDrawTextFlags(), AEditSizeProperties, 0, true);
  return TSize{std::max(base.cx, size.cx), std::max(base.cy, size.cy)};
}

// ---------------------------------------------------------------------------
// TcxCustomTextEditViewInfo

void TcxCustomTextEditViewInfo::Create()
{
  inherited::Create();
  EditingStyle = TcxEditEditingStyle::esEdit;
  SelTextColor = vcl::clDefault;
  SelBackgroundColor = vcl::clDefault;
}

void TcxCustomTextEditViewInfo::Destroy()
{
  TextOutData.TextRows.Clear();
  inherited::Destroy();
}

void TcxCustomTextEditViewInfo::SetText(const rtl::String& AValue)
{
  Text = AValue;
  TextOutData.Initialized = false;
}

TcxEditBackgroundPaintingStyle TcxCustomTextEditViewInfo::BackgroundPaintingStyle()
{
  if (!ComboBoxStyle)
    return TcxEditBackgroundPaintingStyle::bpsSolid;
  return cxIsListStyle(EditingStyle) ? TcxEditBackgroundPaintingStyle::bpsComboListEdit
                                     : TcxEditBackgroundPaintingStyle::bpsComboEdit;
}

void TcxCustomTextEditViewInfo::DrawButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo, TRect& ARect,
                                                 TRect& AContentRect, vcl::TColor& APenColor,
                                                 vcl::TColor& ABrushColor)
{
  inherited::DrawButtonBorder(ACanvas, AViewInfo, ARect, AContentRect, APenColor, ABrushColor);
  // The base draws a button's background only into a content rectangle,
  // which a combo-style theme part does not have: without this the native
  // drop-down button would not show at all.
  const TcxEditButtonViewInfoData& data = AViewInfo->Data;
  if (data.NativeStyle && data.ComboBoxStyle && cxRectHasNoArea(AContentRect) &&
      !IsCustomDrawButton(AViewInfo->ButtonVisibleIndex))
    DrawButtonBackground(ACanvas, AViewInfo, ARect, AContentRect, ABrushColor);
}

void TcxCustomTextEditViewInfo::InternalPaint(TcxCanvas* ACanvas)
{
  cxTextEditPaint(this, ACanvas);
}

bool TcxCustomTextEditViewInfo::IsPasswordSymbolFont()
{
  auto* properties = rtl::As<TcxCustomTextEditProperties>(EditProperties);
  return properties && properties->GetEchoMode() == TcxEditEchoMode::eemPassword && NativeStyle &&
         dxUxIsThemeActive();
}

void TcxCustomTextEditViewInfo::PrepareCanvasFont(TcxCanvas* ACanvas)
{
  inherited::PrepareCanvasFont(ACanvas);
  if (IsPasswordSymbolFont())
    ACanvas->GetFont()->SetName(L"Segoe UI");
}

void TcxCustomTextEditViewInfo::DrawText(TcxCanvas* ACanvas)
{
  if (!CanDrawEditValue() || Text.empty())
    return;
  TRect R = TextRect;
  ACanvas->SetFont(Font);
  ACanvas->GetFont()->SetColor(DrawSelectionBar ? vcl::clHighlightText : TextColor);
  PrepareCanvasFont(ACanvas);
  if (IsPasswordSymbolFont()) {
    --R.top;
    ++R.bottom;
  }
  cxTextEditTextOut(ACanvas, this, Text, MaxLineCount, SelTextColor, SelBackgroundColor, SelLength, SelStart,
                    DrawTextFlags, R);
}

int TcxCustomTextEditViewInfo::GetTextBaseLine()
{
  vcl::TScreenDC dc;
  vcl::TSelectObjectGuard font(dc.Get(), Font ? Font->GetHandle() : nullptr);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.Get(), &metrics);
  const TcxEditVertAlignment alignment =
      EditProperties ? EditProperties->GetAlignment()->GetVert() : TcxEditVertAlignment::taTopJustify;
  switch (alignment) {
    case TcxEditVertAlignment::taBottomJustify:
      return TextRect.bottom - metrics.tmDescent + 1;
    case TcxEditVertAlignment::taVCenter:
      return TextRect.top + (cxRectHeight(TextRect) - metrics.tmHeight) / 2 + metrics.tmAscent + 1;
    default:
      return TextRect.top + metrics.tmAscent + 1;
  }
}

void TcxCustomTextEditViewInfo::Offset(int DX, int DY)
{
  inherited::Offset(DX, DY);
  OffsetRect(&TextRect, DX, DY);
  if (!TextOutData.Initialized)
    return;
  OffsetRect(&TextOutData.TextRect, DX, DY);
  for (int i = 0; i < TextOutData.RowCount; ++i) {
    TcxTextRow& row = TextOutData.TextRows.Row(i);
    row.TextOriginX += DX;
    row.TextOriginY += DY;
  }
}

bool TcxCustomTextEditViewInfo::NeedShowHint(TcxCanvas* ACanvas, const TPoint& P, const TRect& AVisibleBounds,
                                             rtl::String& AText, bool& AIsMultiLine, TRect& ATextRect,
                                             int AMaxLineCount)
{
  TRect R = TextRect;
  if (!IsRectEmpty(&AVisibleBounds)) {
    TRect visible = AVisibleBounds;
    OffsetRect(&visible, -Left, -Top);
    IntersectRect(&R, &visible, &TextRect);
  }
  const POINT local{P.x - Left, P.y - Top};
  bool cut = false;
  if (PtInRect(&R, local) && !Text.empty()) {
    ACanvas->SetFont(Font);
    PrepareCanvasFont(ACanvas);
    const unsigned flags = (DrawTextFlags & ~(cxdtfSingleLine | cxdtfAlignYMask)) | cxdtfCalcRect;
    TRect needed{0, 0, cxRectWidth(R), 0};
    cxDrawTextEx(ACanvas->GetHandle(), Text, needed, flags, ACanvas->GetFont());
    int available = cxRectHeight(R);
    if (AMaxLineCount > 0)
      available = std::min(available, AMaxLineCount * cxRowHeight(ACanvas));
    cut = cxRectHeight(needed) > available || cxRectWidth(needed) > cxRectWidth(R);
  }
  if (!cut) {
    rtl::String baseText;
    if (inherited::NeedShowHint(ACanvas, P, AVisibleBounds, baseText, AIsMultiLine, ATextRect, 0)) {
      AText = baseText;
      return true;
    }
    return false;
  }
  AIsMultiLine = (DrawTextFlags & cxdtfWordBreak) != 0 && (DrawTextFlags & cxdtfSingleLine) == 0;
  AText = Text;
  ATextRect = TextRect;
  OffsetRect(&ATextRect, Left, Top);
  return true;
}

// ---------------------------------------------------------------------------
// Painting

namespace {

void cxTextEditPrepareTextOutData(HDC DC, TcxCustomTextEditViewInfo* AViewInfo, const rtl::String& AText,
                                  int AMaxLineCount, vcl::TColor ASelTextColor, vcl::TColor ASelBackgroundColor,
                                  int ASelLength, int ASelStart, unsigned AFlags, const TRect& ARect)
{
  TcxTextOutData& data = AViewInfo->TextOutData;
  data.Initialized = true;
  data.RowCount = 0;
  data.TextRows.Clear();
  data.ForceEndEllipsis = false;
  if (AText.empty())
    return;
  cxPrepareTextParamsForDC(DC, AFlags, data.TextParams);
  data.TextRect = cxTextRectWithIndents(ARect, data.TextParams, 0, 0);
  if (IsRectEmpty(&data.TextRect))
    return;
  const bool allFitted = cxBuildTextRows(DC, AText.c_str(), static_cast<int>(AText.size()), &cxMeasureTextExtents,
                                         nullptr, AMaxLineCount, data.RowCount, data.TextRows, data.TextParams,
                                         data.TextRect);
  data.ForceEndEllipsis = !allFitted;
  if (data.RowCount > 0)
    cxPlaceTextRows(DC, data.TextRect, data.TextParams, data.RowCount, data.TextRows);
  // A range outside the text draws nothing selected; one running past its
  // end stops there.
  const int length = static_cast<int>(AText.size());
  int selStart = ASelStart;
  int selLength = ASelLength;
  if (selStart < 0 || selStart >= length)
    selLength = 0;
  else
    selLength = std::clamp(selLength, 0, length - selStart);
  data.SelStart = selStart;
  data.SelLength = selLength;
  data.SelTextColor = ASelTextColor;
  data.SelBackgroundColor = ASelBackgroundColor;
}

}  // namespace

void cxTextEditTextOut(TcxCanvas* ACanvas, TcxCustomTextEditViewInfo* AViewInfo, const rtl::String& AText,
                       int AMaxLineCount, vcl::TColor ASelTextColor, vcl::TColor ASelBackgroundColor, int ASelLength,
                       int ASelStart, unsigned AFlags, const TRect& ARect)
{
  const HDC dc = ACanvas->GetHandle();
  vcl::TSelectObjectGuard font(dc, ACanvas->GetFont()->GetHandle());
  TcxTextOutData& data = AViewInfo->TextOutData;
  if (!data.Initialized)
    cxTextEditPrepareTextOutData(dc, AViewInfo, AText, AMaxLineCount, ASelTextColor, ASelBackgroundColor,
                                 ASelLength, ASelStart, AFlags, ARect);
  if (data.RowCount == 0)
    return;
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(dc, vcl::ColorToRGB(ACanvas->GetFont()->GetColor()));
  cxDrawTextRowsHighlighted(dc, data.TextRect, data.TextParams, data.ForceEndEllipsis,
                            data.SelTextColor, data.SelBackgroundColor, data.SelLength, data.SelStart,
                            data.RowCount, data.TextRows);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
}

void cxTextEditPaint(TcxCustomTextEditViewInfo* AViewInfo, TcxCanvas* ACanvas)
{
  AViewInfo->DrawCustomEdit(ACanvas, !AViewInfo->Transparent && !AViewInfo->DrawSelectionBar, true);
  TRect R = AViewInfo->ClientRect;
  if (!AViewInfo->IsInplace) {
    if ((AViewInfo->NativeState == 0 || AViewInfo->DrawSelectionBar) && !AViewInfo->Transparent &&
        AViewInfo->EditingStyle != TcxEditEditingStyle::esNoEdit)
      ACanvas->FrameRect(R, AViewInfo->GetBackgroundColor());
    InflateRect(&R, -1, -1);
  }
  if (AViewInfo->IsOwnerDrawing && AViewInfo->CustomDrawHandler) {
    AViewInfo->CustomDrawHandler(ACanvas, R);
  } else {
    if (AViewInfo->DrawSelectionBar)
      ACanvas->FillRect(R, vcl::clHighlight);
    if (AViewInfo->IsDBEditPaintCopyDrawing || !AViewInfo->HasInnerEdit || !AViewInfo->IsEditClass)
      AViewInfo->DrawText(ACanvas);
  }
  if (!AViewInfo->IsEditClass && AViewInfo->Focused && !AViewInfo->IsInplace && !AViewInfo->HasPopupWindow) {
    if (AViewInfo->DrawSelectionBar) {
      ACanvas->GetFont()->SetColor(vcl::clHighlightText);
      ACanvas->SetBrushColor(vcl::clHighlight);
    } else {
      ACanvas->GetFont()->SetColor(vcl::clBtnText);
      ACanvas->SetBrushColor(AViewInfo->GetBackgroundColor());
    }
    ACanvas->DrawFocusRect(R);
  }
}

// ---------------------------------------------------------------------------
// The properties' classes

TcxCustomEditViewInfoClass TcxCustomTextEditProperties::GetViewInfoClass()
{
  return TcxCustomEditViewInfoClass::Of<TcxCustomTextEditViewInfo>();
}

TcxCustomEditViewDataClass TcxCustomTextEditProperties::ViewDataClass()
{
  return TcxCustomEditViewDataClass::Of<TcxCustomTextEditViewData>();
}
