// TcxCustomEdit and its view: making and filling view data, the view info's
// hot state and buttons, hit parts for hints and accelerators, painting,
// the hot fade and the size an auto-sized editor takes.
#include "editors/cxEdit.h"
#include "controls/cxMouseTracking.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxFading.h"

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

void TcxCustomEdit::CalculateViewInfoFor(TcxCustomEditViewInfo* AViewInfo, const TPoint& P, TcxMouseButton AButton,
                                         vcl::TShiftState AShift, bool AIsMouseEvent)
{
  rtl::TOwnedPtr<TcxCustomEditViewData> AViewData{CreateViewData()};
  if (!AViewData)
    return;
  const TRect ABounds{0, 0, inherited::GetWidth(), inherited::GetHeight()};
  AViewData->Calculate(cxScreenCanvas(), ABounds, P, AButton, AShift, AViewInfo, AIsMouseEvent);
  if (UseRightToLeftAlignment())
    AViewData->DoRightToLeftConversion(AViewInfo, ABounds);
}

void TcxCustomEdit::CalculateViewInfoAtPoint(const TPoint& P, TcxMouseButton AButton, vcl::TShiftState AShift,
                                             bool AIsMouseEvent)
{
  if (TcxCustomEditViewInfo* AViewInfo = GetViewInfo())
    CalculateViewInfoFor(AViewInfo, P, AButton, AShift, AIsMouseEvent);
}

void TcxCustomEdit::CalculateViewInfo(const TPoint& P, bool AHotTrackAllowed)
{
  TcxCustomEditViewInfo* AViewInfo = GetViewInfo();
  const bool AWasHot = AViewInfo && AViewInfo->ContainerState.Contains(TcxContainerStateItem::csHotTrack);
  // The container's state, frame and colours, then the editor's layout on
  // top of them.
  inherited::CalculateViewInfo(P, AHotTrackAllowed);
  CalculateViewInfoAtPoint(P, FCalculationButton, FCalculationShift, FCalculationIsMouseEvent);
  if (!AViewInfo || !HandleAllocated())
    return;
  const bool AIsHot = AViewInfo->ContainerState.Contains(TcxContainerStateItem::csHotTrack);
  if (AIsHot != AWasHot)
    if (TdxFader* AFader = dxGetFader())
      AIsHot ? AFader->FadeIn(this) : AFader->FadeOut(this);
}

bool TcxCustomEdit::RefreshContainer(const TPoint& P, TcxMouseButton Button, vcl::TShiftState Shift,
                                     bool AIsMouseEvent)
{
  if (FCaptureButtonVisibleIndex >= 0 && !IsMouseCaptureOwner())
    FCaptureButtonVisibleIndex = -1;
  FCalculationButton = Button;
  FCalculationShift = Shift;
  FCalculationIsMouseEvent = AIsMouseEvent;
  TcxCustomEditViewInfo* AViewInfo = GetViewInfo();
  if (!AViewInfo)
    return inherited::RefreshContainer(P, Button, Shift, AIsMouseEvent);
  // A mouse move or press usually changes little (a hot button, a pressed
  // mark): the old look is kept to repaint only what differs from it.
  rtl::TOwnedPtr<TcxCustomEditViewInfo> AOldViewInfo;
  if (AIsMouseEvent || (FRefreshComparing && AViewInfo->IsCalculated())) {
    AOldViewInfo.reset(rtl::As<TcxCustomEditViewInfo>(GetViewInfoClass().Create()));
    if (AOldViewInfo)
      AOldViewInfo->Assign(AViewInfo);
  }
  CalculateViewInfo(P, IsHotTrackAllowed(Shift));
  const TRect AInnerEditRect =
      FInnerEdit && IsEditClass() ? FInnerEdit->GetControl()->GetBoundsRect() : TRect{};
  if (AViewInfo->Repaint(this, AInnerEditRect, AOldViewInfo.get()) || !AOldViewInfo) {
    UpdateInnerControlBounds();
    CalculateViewInfoAtPoint(P, Button, Shift, AIsMouseEvent);
    UpdateWindowRegion();
  }
  ApplyStyleToInnerControl();
  if (AViewInfo->ContainerState.Contains(TcxContainerStateItem::csHotTrack))
    cxBeginMouseTracking(this, TRect{0, 0, inherited::GetWidth(), inherited::GetHeight()}, GetMouseTrackingCaller());
  return true;
}

void TcxCustomEdit::RefreshComparing()
{
  FRefreshComparing = true;
  rtl::Finally done([this] { FRefreshComparing = false; });
  ShortRefreshContainer(false);
}

void TcxCustomEdit::BiDiModeChanged()
{
  inherited::BiDiModeChanged();
  ShortRefreshContainer(false);
}

bool TcxCustomEdit::IsHotTrackAllowed(vcl::TShiftState AShift)
{
  // A held key or mouse button freezes the hot look.
  const vcl::TShiftState ABlocking{vcl::TShiftStateItem::ssShift, vcl::TShiftStateItem::ssAlt,
                                   vcl::TShiftStateItem::ssCtrl,  vcl::TShiftStateItem::ssLeft,
                                   vcl::TShiftStateItem::ssRight, vcl::TShiftStateItem::ssMiddle,
                                   vcl::TShiftStateItem::ssDouble};
  return (AShift * ABlocking).Empty() && GetActiveStyleOf()->GetHotTrack();
}

void TcxCustomEdit::ProcessViewInfoChanges()
{
  TcxCustomEditViewInfo* AViewInfo = GetViewInfo();
  if (!AViewInfo || !AViewInfo->IsButtonStateChanged())
    return;
  const int APrevPressed = AViewInfo->LastPressedButton;
  const int APressed = AViewInfo->PressedButton;
  const int ASelected = AViewInfo->SelectedButton;
  // Stored first: a click handler may move the mouse or show a dialog, and
  // the calculations it causes must not see this change again.
  AViewInfo->StoreLastButtonStates();
  if (APrevPressed >= 0) {
    // A release over the pressed button is its click; elsewhere the press
    // is given up.
    rtl::TFreeWatch AWatch(this);
    ButtonUp(APrevPressed);
    if (!AWatch.Freed() && APrevPressed == ASelected)
      DoButtonClick(APrevPressed);
  } else if (APressed >= 0) {
    if (APressed < static_cast<int>(AViewInfo->ButtonsInfo.size()))
      if (TcxEditButtonFadingHelper* AFading = AViewInfo->ButtonsInfo[APressed]->FadingHelper)
        AFading->StopFading();
    ButtonDown(APressed);
  }
}

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

void TcxCustomEdit::CaptureButtonAt(const TPoint& P)
{
  const int AIndex = GetButtonIndexAt(P);
  if (AIndex >= 0 && GetViewInfo()->ButtonsInfo[AIndex]->Data.State == TcxEditButtonState::ebsPressed)
    FCaptureButtonVisibleIndex = AIndex;
}

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

void TcxCustomEdit::AdjustInnerEditPosition()
{
  if (!FInnerEdit)
    return;
  TcxCustomEditViewInfo* AViewInfo = GetViewInfo();
  if (!AViewInfo || !AViewInfo->IsCalculated())
    return;
  vcl::TWinControl* AControl = FInnerEdit->GetControl();
  const TRect ACurrent = AControl->GetBoundsRect();
  if (!EqualRect(&ACurrent, &AViewInfo->InnerEditRect))
    AControl->SetBoundsRect(AViewInfo->InnerEditRect);
  TRect AClient = AViewInfo->ClientRect;
  AlignControls(AControl, AClient);
}

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
  if (FModifiedAfterEnter || !GetControlState().Contains(vcl::TControlStateItem::csPaintCopy) ||
      !IsBoundToDataStorage())
    return false;
  // Only a panel-based data grid paints its editors as copies of one.
  for (vcl::TWinControl* AParent = GetParent(); AParent; AParent = AParent->GetParent())
    if (rtl::String(AParent->ClassName()) == L"TDBCtrlPanel")
      return true;
  return false;
}

void TcxCustomEdit::Paint()
{
  if (!IsPaintCopyMode()) {
    inherited::Paint();
    return;
  }
  PaintCopy();
  UpdateScrollBarControls();
}

void TcxCustomEdit::PaintCopy()
{
  // The stored value of the row the copy stands for, laid out afresh: the
  // editor's own view info shows the current row and stays as it is.
  SetPaintCopyClipRegion();
  rtl::TOwnedPtr<TcxCustomEditViewInfo> AViewInfo{rtl::As<TcxCustomEditViewInfo>(GetViewInfoClass().Create())};
  rtl::TOwnedPtr<TcxCustomEditViewData> AViewData{CreateViewData()};
  if (!AViewInfo || !AViewData)
    return;
  const TRect ABounds{0, 0, inherited::GetWidth(), inherited::GetHeight()};
  AViewData->EditValueToDrawValue(FDataBinding->GetStoredValue(), AViewInfo.get());
  AViewData->Calculate(GetCanvas(), ABounds, TPoint{-1, -1}, TcxMouseButton::cxmbNone, {}, AViewInfo.get(), false);
  AViewInfo->Paint(GetCanvas());
  GetCanvas()->ExcludeClipRect(ABounds);
}

bool TcxCustomEdit::CanFadeHotState()
{
  TcxCustomEditViewInfo* AViewInfo = GetViewInfo();
  return AViewInfo && AViewInfo->IsFadingAvailable() && !IsInplace();
}

TcxBitmap32* TcxCustomEdit::RenderFadeImage(const TPoint& P)
{
  rtl::TOwnedPtr<TcxCustomEditViewInfo> AViewInfo{rtl::As<TcxCustomEditViewInfo>(GetViewInfoClass().Create())};
  CalculateViewInfoFor(AViewInfo.get(), P, TcxMouseButton::cxmbNone, {}, true);
  AViewInfo->SetBackgroundColor(TdxFadingHelper::CheckColor(AViewInfo->GetBackgroundColor()));
  AViewInfo->BorderColor = TdxFadingHelper::CheckColor(AViewInfo->BorderColor);
  const TRect& R = AViewInfo->Bounds;
  auto* ABitmap = rtl::NewWith<TcxBitmap32>(
      [&](TcxBitmap32* B) { B->CreateSize(cxRectGetWidth(R), cxRectGetHeight(R), true); });
  TcxCanvas* ACanvas = ABitmap->GetcxCanvas();
  ACanvas->SetWindowOrg(TPoint{R.left, R.top});
  cxEditDrawBackground(ACanvas, AViewInfo.get(), true);
  ACanvas->SetWindowOrg(TPoint{0, 0});
  return ABitmap;
}

void TcxCustomEdit::PrepareFadeImages(TcxBitmap32*& AFadeOut, TcxBitmap32*& AFadeIn)
{
  // The cold look with the mouse away, the hot one with the mouse inside.
  AFadeOut = RenderFadeImage(TPoint{-1, -1});
  AFadeIn = RenderFadeImage(TPoint{inherited::GetWidth() / 2, inherited::GetHeight() / 2});
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

void TcxCustomEdit::CalculateAutoSize(int& ANewWidth, int& ANewHeight)
{
  if (!CanAutoSize())
    return;
  TcxEditSizeProperties ASizeProperties = GetEditSizeProperties();
  ASizeProperties.Height = ANewHeight;
  ASizeProperties.Width = ANewWidth;
  TSize ASize;
  {
    rtl::TOwnedPtr<TcxCustomEditViewData> AViewData{CreateViewData()};
    if (!AViewData)
      return;
    ASize = AViewData->GetEditSize(cxScreenCanvas(), GetEditValue(), ASizeProperties, GetViewInfo());
  }
  // The screen DC is shared by every measurement: give it back at once.
  cxScreenCanvas()->Dormant();
  if (CanAutoWidth())
    ANewWidth = ASize.cx;
  if (CanAutoHeight())
    ANewHeight = ASize.cy;
}
