// TcxCustomEdit and its view: making and filling view data, the view info's
// hot state and buttons, hit parts for hints and accelerators, painting,
// the hot fade and the size an auto-sized editor takes.
#include "editors/cxEdit.h"

// ---------------------------------------------------------------------------
// View data

TcxCustomEditStyle* TcxCustomEdit::GetCurrentStyle()
{
  return static_cast<TcxCustomEditStyle*>(GetActiveStyleOf());
}

TcxCustomEditViewData* TcxCustomEdit::CreateViewData()
{
  TcxCustomEditViewData* AViewData = GetActiveProperties()->CreateViewData(GetCurrentStyle(), IsInplace());
  if (AViewData)
    InitializeViewData(AViewData);
  return AViewData;
}

void TcxCustomEdit::InitializeViewData(TcxCustomEditViewData* /*AViewData*/) {}

void TcxCustomEdit::InitializeContentParams()
{
  FIsContentParamsInitialized = true;
}

TcxCustomEditViewInfo* TcxCustomEdit::GetViewInfo() const
{
  return nullptr;
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
  inherited::RefreshContainer(P, AButton, AShift, AIsMouseEvent);
}

bool TcxCustomEdit::RefreshContainer(const TPoint& P, TcxMouseButton Button, vcl::TShiftState Shift,
                                     bool AIsMouseEvent)
{
  if (FCaptureButtonVisibleIndex >= 0 && !IsMouseCaptureOwner())
    FCaptureButtonVisibleIndex = -1;
  CalculateViewInfoAtPoint(P, Button, Shift, AIsMouseEvent);
  return true;
}

void TcxCustomEdit::ProcessViewInfoChanges() {}

void TcxCustomEdit::UpdateHotStateAtCursor()
{
  ShortRefreshContainer(false);
}

int TcxCustomEdit::GetButtonIndexAt(const TPoint& /*P*/)
{
  return -1;
}

int TcxCustomEdit::GetDefaultButtonIndex()
{
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
