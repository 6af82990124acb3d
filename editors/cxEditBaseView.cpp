// TcxCustomEdit and its view: making and filling view data, the view info's
// hot state and buttons, hit parts for hints and accelerators, painting,
// the hot fade and the size an auto-sized editor takes.
#include "editors/cxEdit.h"
#include "graphics/cxGraphics.h"

// ---------------------------------------------------------------------------
// View data

TcxCustomEditStyle* TcxCustomEdit::GetCurrentStyle()
{
  return static_cast<TcxCustomEditStyle*>(GetActiveStyleOf());
}

TcxCustomEditViewData* TcxCustomEdit::CreateViewData()
{
  TcxCustomEditViewData* AViewData = GetActiveProperties()->CreateViewData(GetCurrentStyle(), IsInplace());
  if (!AViewData)
    return nullptr;
  AViewData->SupportsTouchMode = FSupportsTouchMode;
  if (IsInplace() && FIsContentParamsInitialized)
    AViewData->EditContentParams = ContentParams;
  AViewData->SetEdit(IsInnerEditMissing() ? nullptr : this);
  AViewData->WindowHandle = HandleAllocated() ? GetHandle() : nullptr;
  InitializeViewData(AViewData);
  return AViewData;
}

void TcxCustomEdit::InitializeViewData(TcxCustomEditViewData* AViewData)
{
  AViewData->Enabled = GetEnabled();
  AViewData->Focused = Focused();
  AViewData->IsTouchScrollUIMode = IsNonClassicScrollBarMode();
  AViewData->UseRightToLeftScrollBar = UseRightToLeftAlignment();
  AViewData->UseRightToLeftAlignment = UseRightToLeftAlignment();
  AViewData->UseRightToLeftReading = UseRightToLeftReading();
  AViewData->HScrollBar = nullptr;
  AViewData->VScrollBar = nullptr;
  AViewData->InnerEdit = FInnerEdit.Get();
  AViewData->IsDesigning = IsDesigning();
}

void TcxCustomEdit::InitializeContentParams()
{
  if (FProperties) {
    rtl::TOwnedPtr<TcxCustomEditViewData> AViewData{
        FProperties->CreateViewData(static_cast<TcxCustomEditStyle*>(inherited::GetStyle()), IsInplace())};
    if (AViewData)
      ContentParams = AViewData->EditContentParams;
  }
  FIsContentParamsInitialized = true;
}

TcxCustomEditViewInfo* TcxCustomEdit::GetViewInfo() const
{
  return rtl::As<TcxCustomEditViewInfo>(inherited::GetViewInfo());
}

bool TcxCustomEdit::IsNativeStyle()
{
  return inherited::IsNativeStyle();
}

// ---------------------------------------------------------------------------
// Hot state and buttons

void TcxCustomEdit::CalculateViewInfoAtPoint(const TPoint& P, TcxMouseButton AButton, vcl::TShiftState AShift,
                                             bool AIsMouseEvent)
{
  TcxCustomEditViewInfo* AViewInfo = GetViewInfo();
  if (!AViewInfo)
    return;
  rtl::TOwnedPtr<TcxCustomEditViewData> AViewData{CreateViewData()};
  if (AViewData)
    AViewData->Calculate(cxScreenCanvas(), TRect{0, 0, inherited::GetWidth(), inherited::GetHeight()}, P, AButton,
                         AShift, AViewInfo, AIsMouseEvent);
}

void TcxCustomEdit::CalculateViewInfo(const TPoint& P, bool AHotTrackAllowed)
{
  // The container's state, frame and colours, then the editor's layout on
  // top of them.
  inherited::CalculateViewInfo(P, AHotTrackAllowed);
  CalculateViewInfoAtPoint(P, FCalculationButton, FCalculationShift, FCalculationIsMouseEvent);
}

bool TcxCustomEdit::RefreshContainer(const TPoint& P, TcxMouseButton Button, vcl::TShiftState Shift,
                                     bool AIsMouseEvent)
{
  if (FCaptureButtonVisibleIndex >= 0 && !IsMouseCaptureOwner())
    FCaptureButtonVisibleIndex = -1;
  FCalculationButton = Button;
  FCalculationShift = Shift;
  FCalculationIsMouseEvent = AIsMouseEvent;
  return inherited::RefreshContainer(P, Button, Shift, AIsMouseEvent);
}

void TcxCustomEdit::ProcessViewInfoChanges() {}

void TcxCustomEdit::UpdateHotStateAtCursor()
{
  ShortRefreshContainer(false);
}

int TcxCustomEdit::GetButtonIndexAt(const TPoint& P)
{
  if (TcxCustomEditViewInfo* AViewInfo = GetViewInfo())
    for (std::size_t I = 0; I < AViewInfo->ButtonsInfo.size(); ++I)
      if (PtInRect(&AViewInfo->ButtonsInfo[I]->Bounds, P))
        return static_cast<int>(I);
  return -1;
}

int TcxCustomEdit::GetDefaultButtonIndex()
{
  if (TcxCustomEditViewInfo* AViewInfo = GetViewInfo())
    for (std::size_t I = 0; I < AViewInfo->ButtonsInfo.size(); ++I) {
      const TcxEditButtonViewInfoData& AData = AViewInfo->ButtonsInfo[I]->Data;
      if (AData.Default)
        return AData.State == TcxEditButtonState::ebsDisabled ? -1 : static_cast<int>(I);
    }
  return -1;
}

void TcxCustomEdit::CaptureButtonAt(const TPoint& /*P*/) {}

bool TcxCustomEdit::ClickButtonByAccelerator(wchar_t /*ACharCode*/)
{
  return false;
}

void TcxCustomEdit::GetBorderExtent(TRect& R)
{
  inherited::GetBorderExtent(R);
}

void TcxCustomEdit::GetExtraWindowRegionBounds(TRect& R)
{
  R = TRect{};
}

void TcxCustomEdit::AdjustInnerEditPosition() {}

// ---------------------------------------------------------------------------
// Hints and accelerators

bool TcxCustomEdit::GetPartHint(int /*APart*/, rtl::String& AText)
{
  AText = GetShowHint() ? GetHint() : rtl::String();
  return !AText.empty();
}

void TcxCustomEdit::GetHintForPoint(const TPoint& P, rtl::String& AText)
{
  inherited::GetHintForPoint(P, AText);
}

void TcxCustomEdit::HandleCMHintShow(rtl::TMessage& Message)
{
  rtl::InheritedMessage(this, Message);
}

void TcxCustomEdit::HandleCMDialogChar(rtl::TMessage& Message)
{
  if (ClickButtonByAccelerator(static_cast<wchar_t>(Message.WParam))) {
    Message.Result = 1;
    return;
  }
  rtl::InheritedMessage(this, Message);
}

// ---------------------------------------------------------------------------
// Painting and fading

bool TcxCustomEdit::IsPaintCopyMode()
{
  return false;
}

void TcxCustomEdit::Paint()
{
  inherited::Paint();
}

void TcxCustomEdit::PaintCopy() {}

bool TcxCustomEdit::CanFadeHotState()
{
  return false;
}

void TcxCustomEdit::PrepareFadeImages(TcxBitmap32*& AFadeOut, TcxBitmap32*& AFadeIn)
{
  AFadeOut = nullptr;
  AFadeIn = nullptr;
}

void __stdcall TcxCustomEdit::FadingRepaint()
{
  if (HandleAllocated())
    InvalidateRect(TRect{0, 0, inherited::GetWidth(), inherited::GetHeight()}, false);
}

void __stdcall TcxCustomEdit::FadingGetImages(TcxBitmap32*& AFadeOutImage, TcxBitmap32*& AFadeInImage)
{
  PrepareFadeImages(AFadeOutImage, AFadeInImage);
}

// ---------------------------------------------------------------------------
// Auto size

void TcxCustomEdit::CalculateAutoSize(int& /*ANewWidth*/, int& /*ANewHeight*/) {}
