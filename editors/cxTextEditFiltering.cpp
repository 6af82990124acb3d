// Incremental filtering: the search editor a filtering popup holds, and the
// popup's view info with its "No matches found" panel.
#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "editors/cxEditConsts.h"
#include "editors/cxTextEdit.h"
#include "graphics/cxGraphics.h"
#include "lookandfeel/cxLookAndFeelPainters.h"

// ---------------------------------------------------------------------------
// TdxCustomIncrementalFilteringHelper

void TdxCustomIncrementalFilteringHelper::Destroy()
{
  DestroySearchEdit();
  inherited::Destroy();
}

void TdxCustomIncrementalFilteringHelper::CreateSearchEdit()
{
  FSearchEdit = rtl::New<TcxTextEdit>(nullptr);
}

void TdxCustomIncrementalFilteringHelper::DestroySearchEdit()
{
  rtl::FreeAndNil(FSearchEdit);
}

void TdxCustomIncrementalFilteringHelper::DrawSearchButton(TcxEditButtonViewInfo* Sender, TcxCanvas* ACanvas,
                                                           bool& AHandled)
{
  AHandled = true;
  if (ACanvas)
    GetPainter()->DrawScaledSearchEditButtonGlyph(ACanvas, Sender->Bounds, TcxButtonState::cxbsNormal,
                                                  Sender->GetScaleFactor());
}

void TdxCustomIncrementalFilteringHelper::InitializeSearchEdit()
{
  TcxCustomTextEditProperties* properties = FSearchEdit->GetProperties();
  properties->SetOnChange(
      rtl::TNotifyEvent::Bind<&TdxCustomIncrementalFilteringHelper::SearchEditValueChanged>(this));
  FSearchEdit->SetOnKeyDown(vcl::TKeyEvent::Bind<&TdxCustomIncrementalFilteringHelper::SearchEditKeyDown>(this));
  FSearchEdit->SetOnKeyPress(
      vcl::TKeyPressEvent::Bind<&TdxCustomIncrementalFilteringHelper::SearchEditKeyPress>(this));
  FSearchEdit->SetOnMouseWheel(
      vcl::TMouseWheelEvent::Bind<&TdxCustomIncrementalFilteringHelper::SearchEditMouseWheel>(this));
  properties->GetButtons()->Add()->SetKind(TcxEditButtonKind::bkGlyph);
  if (TcxCustomEditViewInfo* viewInfo = FSearchEdit->GetViewInfo())
    viewInfo->OnDrawButton =
        TcxEditDrawButtonEvent::Bind<&TdxCustomIncrementalFilteringHelper::DrawSearchButton>(this);
  // Enter ends the search quietly.
  FSearchEdit->SetBeepOnEnter(false);
}

rtl::String TdxCustomIncrementalFilteringHelper::GetSearchText()
{
  return FSearchEdit ? FSearchEdit->GetText() : rtl::String();
}

// ---------------------------------------------------------------------------
// TdxCustomIncrementalFilteringContainerViewInfo

void TdxCustomIncrementalFilteringContainerViewInfo::Create()
{
  inherited::Create();
  ScaleFactor = rtl::New<TdxOwnedScaleFactor>();
}

void TdxCustomIncrementalFilteringContainerViewInfo::Destroy()
{
  rtl::FreeAndNil(ScaleFactor);
  inherited::Destroy();
}

rtl::String TdxCustomIncrementalFilteringContainerViewInfo::GetSearchInfoPanelText()
{
  return dxLookupResourceString(cxSNoMatchesFound);
}

int TdxCustomIncrementalFilteringContainerViewInfo::GetSearchInfoPanelDefaultHeight()
{
  TcxCanvas* canvas = cxScreenCanvas();
  canvas->SetFont(Font);
  return canvas->TextHeight(L"Wg") + 8;
}

int TdxCustomIncrementalFilteringContainerViewInfo::GetSearchInfoPanelHeight()
{
  return SearchInfoPanelHeight != 0 ? SearchInfoPanelHeight : GetSearchInfoPanelDefaultHeight();
}

int TdxCustomIncrementalFilteringContainerViewInfo::GetSearchInfoPanelWidth()
{
  TcxCanvas* canvas = cxScreenCanvas();
  canvas->SetFont(Font);
  return canvas->TextWidth(GetSearchInfoPanelText()) + 2 * GetSearchInfoPanelTextOffset();
}

unsigned TdxCustomIncrementalFilteringContainerViewInfo::GetSearchInfoPanelTextDrawFlags()
{
  unsigned result = cxdtfSingleLine | 0x10;
  if (UseRightToLeftAlignment)
    result |= taRight | cxdtfRTLReading;
  return result;
}

void TdxCustomIncrementalFilteringContainerViewInfo::DrawSearchInfoPanel(TcxCanvas* ACanvas)
{
  if (!Painter)
    return;
  Painter->DrawWindowContent(ACanvas, SearchInfoPanelBounds);
  unsigned flags = GetSearchInfoPanelTextDrawFlags();
  if (ACanvas->GetUseRightToLeftAlignment())
    flags |= cxdtfRTLReading;
  TRect R = SearchInfoPanelBounds;
  const int offset = GetSearchInfoPanelTextOffset();
  cxDrawTextEx(ACanvas->GetHandle(), GetSearchInfoPanelText(), R, flags, Font, Painter->GetWindowContentTextColor(),
               offset, offset);
}

void TdxCustomIncrementalFilteringContainerViewInfo::Paint(TcxCanvas* ACanvas)
{
  inherited::Paint(ACanvas);
  if (IsSearchInfoPanelVisible())
    DrawSearchInfoPanel(ACanvas);
}

// ---------------------------------------------------------------------------
// TdxCustomIncrementalFilteringPopupWindow

void TdxCustomIncrementalFilteringPopupWindow::Create(vcl::TWinControl* AOwnerControl)
{
  inherited::Create(AOwnerControl);
  // The panel follows the popup form's DPI.
  GetFilteringViewInfo()->ScaleFactor->SetOwner(dxGetScaleFactorOf(this));
}

TcxContainerViewInfoClass TdxCustomIncrementalFilteringPopupWindow::GetViewInfoClass()
{
  return TcxContainerViewInfoClass::Of<TdxCustomIncrementalFilteringContainerViewInfo>();
}

void TdxCustomIncrementalFilteringPopupWindow::SetShowSearchInfoPanel(bool AValue)
{
  FShowSearchInfoPanel = AValue;
  GetFilteringViewInfo()->ShowSearchInfoPanel = AValue;
}
