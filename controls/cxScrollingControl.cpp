#include "controls/cxScrollingControl.h"

#include <algorithm>

using enum TScrollBarKind;
using enum TScrollCode;

namespace {

// The step TdxScrollHelper scrolls a line by.
constexpr int HelperScrollStep = 10;

TSize SizeOf(const TRect& R)
{
  return TSize{R.right - R.left, R.bottom - R.top};
}

// 0 .. AContent - AVisible; a content smaller than the view does not move.
int ClampPos(int AValue, int AContent, int AVisible)
{
  return std::clamp(AValue, 0, std::max(0, AContent - AVisible));
}

// The shift one axis needs so that [A, B) shows in the client's [C, D).
int VisibilityShift(int A, int B, int C, int D, TdxMakeVisibleMode AMode)
{
  switch (AMode) {
    case TdxMakeVisibleMode::mvmOutside:
      if (A >= D)
        return B - D;
      if (B <= C)
        return A - C;
      return 0;
    case TdxMakeVisibleMode::mvmFully:
      if (A < C)
        return A - C;
      if (B > D)
        return std::min(B - D, A - C);
      return 0;
    case TdxMakeVisibleMode::mvmCentered:
      return A - (D - C) / 2;
  }
  return 0;
}

// The position a scroll code asks for, from the current one; APage is the
// client's extent along the axis.
int ScrolledPos(TScrollCode ACode, int ACurrent, int AStep, int APage, int ATrackPos)
{
  switch (ACode) {
    case scLineUp:
      return ACurrent - AStep;
    case scLineDown:
      return ACurrent + AStep;
    case scPageUp:
      return ACurrent - APage;
    case scPageDown:
      return ACurrent + APage;
    case scTrack:
      return ATrackPos;
    default:
      // scPosition arrives once more when a drag ends: the content already
      // stands where the last scTrack put it.
      return ACurrent;
  }
}

// Clears the flag however the setter leaves.
class TAutoSizeModeSettingGuard {
 public:
  explicit TAutoSizeModeSettingGuard(bool& AFlag) : FFlag(AFlag) { FFlag = true; }
  ~TAutoSizeModeSettingGuard() { FFlag = false; }
  TAutoSizeModeSettingGuard(const TAutoSizeModeSettingGuard&) = delete;
  TAutoSizeModeSettingGuard& operator=(const TAutoSizeModeSettingGuard&) = delete;

 private:
  bool& FFlag;
};

}  // namespace

// ---------------------------------------------------------------------------
// TcxScrollingControl

void TcxScrollingControl::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FAutoSizeMode = TdxAutoSizeMode::asNone;
  FAutoSizeModeSetting = false;
  FLeftPos = 0;
  FTopPos = 0;
}

void TcxScrollingControl::LayoutChanged(TdxChangeType AType)
{
  if (!CanCalculate())
    return;
  rtl::TFreeWatch watch(this);
  DoCalculate(AType);
  if (watch.Freed())
    return;
  if (GetAutoSize())
    AdjustSize();
  UpdateScrollBars();
  // The content may have shrunk under the positions.
  SetPos(TPoint{FLeftPos, FTopPos});
  if (!watch.Freed())
    Invalidate();
}

void TcxScrollingControl::FullRefresh(const TPoint& /*ADelta*/)
{
  LayoutChanged(TdxChangeType::ctLight);
  Invalidate();
  Update();
}

TSize TcxScrollingControl::GetVisibleSize()
{
  return SizeOf(GetClientBounds());
}

void TcxScrollingControl::CheckPositions(TPoint& P)
{
  const TSize content = GetContentSize();
  const TSize visible = GetVisibleSize();
  P.x = ClampPos(P.x, content.cx, visible.cx);
  P.y = ClampPos(P.y, content.cy, visible.cy);
}

void TcxScrollingControl::SetPos(TPoint P)
{
  CheckPositions(P);
  if (P.x == FLeftPos && P.y == FTopPos)
    return;
  ShowScrollUI(this, true);
  const TPoint delta{FLeftPos - P.x, FTopPos - P.y};
  FLeftPos = P.x;
  FTopPos = P.y;
  if (CanUpdateScrollBars())
    FullRefresh(delta);
}

void TcxScrollingControl::SetLeftPos(int AValue)
{
  SetPos(TPoint{AValue, FTopPos});
}

void TcxScrollingControl::SetTopPos(int AValue)
{
  SetPos(TPoint{FLeftPos, AValue});
}

void TcxScrollingControl::MakeVisible(const TRect& R, TdxMakeVisibleMode AMode)
{
  const TRect client = GetClientBounds();
  const int dx = VisibilityShift(R.left, R.right, client.left, client.right, AMode);
  const int dy = VisibilityShift(R.top, R.bottom, client.top, client.bottom, AMode);
  SetPos(TPoint{FLeftPos + dx, FTopPos + dy});
}

void TcxScrollingControl::SetAutoSize(bool AValue)
{
  if (!FAutoSizeModeSetting && AValue != GetAutoSize())
    FAutoSizeMode = AValue ? TdxAutoSizeMode::asAutoSize : TdxAutoSizeMode::asNone;
  inherited::SetAutoSize(AValue);
}

void TcxScrollingControl::SetAutoSizeMode(TdxAutoSizeMode AValue)
{
  if (AValue == FAutoSizeMode)
    return;
  TAutoSizeModeSettingGuard setting(FAutoSizeModeSetting);
  FAutoSizeMode = AValue;
  if (GetAutoSize() && AValue != TdxAutoSizeMode::asNone)
    AdjustSize();
  else
    SetAutoSize(AValue != TdxAutoSizeMode::asNone);
}

void TcxScrollingControl::InitScrollBarsParameters()
{
  if (!CanUpdateScrollBars())
    return;
  const TSize content = GetContentSize();
  const TSize visible = GetVisibleSize();
  SetScrollBarInfo(sbHorizontal, 0, content.cx - 1, GetScrollStep(), visible.cx, FLeftPos, true, true);
  SetScrollBarInfo(sbVertical, 0, content.cy - 1, GetScrollStep(), visible.cy, FTopPos, true, true);
}

void TcxScrollingControl::Scroll(TScrollBarKind AScrollBarKind, TScrollCode AScrollCode, int& AScrollPos)
{
  const TSize client = SizeOf(GetClientBounds());
  if (AScrollBarKind == sbHorizontal) {
    SetLeftPos(ScrolledPos(AScrollCode, FLeftPos, GetScrollStep(), client.cx, AScrollPos));
    AScrollPos = FLeftPos;
  } else {
    SetTopPos(ScrolledPos(AScrollCode, FTopPos, GetScrollStep(), client.cy, AScrollPos));
    AScrollPos = FTopPos;
  }
}

void TcxScrollingControl::LookAndFeelChanged(TcxLookAndFeel* ASender, TcxLookAndFeelValues AChangedValues)
{
  inherited::LookAndFeelChanged(ASender, AChangedValues);
  LayoutChanged(TdxChangeType::ctHard);
}

void TcxScrollingControl::BoundsChanged()
{
  LayoutChanged(TdxChangeType::ctHard);
}

void TcxScrollingControl::CreateHandle()
{
  inherited::CreateHandle();
  LayoutChanged(TdxChangeType::ctHard);
}

void TcxScrollingControl::Loaded()
{
  inherited::Loaded();
  LayoutChanged(TdxChangeType::ctHard);
}

// ---------------------------------------------------------------------------
// TdxScrollHelper

bool TdxScrollHelper::IsScrollDataValid(IdxScrollingControl* AControl)
{
  return AControl->GetInstance()->HandleAllocated();
}

TSize TdxScrollHelper::GetClientSize(IdxScrollingControl* AControl)
{
  return SizeOf(AControl->GetInstance()->GetClientBounds());
}

int TdxScrollHelper::CheckLeftPos(IdxScrollingControl* AControl, int AValue)
{
  return ClampPos(AValue, AControl->GetContentSize().cx, GetClientSize(AControl).cx);
}

int TdxScrollHelper::CheckTopPos(IdxScrollingControl* AControl, int AValue)
{
  return ClampPos(AValue, AControl->GetContentSize().cy, GetClientSize(AControl).cy);
}

void TdxScrollHelper::SetPos(IdxScrollingControl* AControl, int X, int Y)
{
  X = CheckLeftPos(AControl, X);
  Y = CheckTopPos(AControl, Y);
  if (X == AControl->GetLeftPos() && Y == AControl->GetTopPos())
    return;
  AControl->SetLeftPos(X);
  AControl->SetTopPos(Y);
  if (IsScrollDataValid(AControl))
    UpdateScrollingControl(AControl);
}

void TdxScrollHelper::SetLeftPos(IdxScrollingControl* AControl, int AValue)
{
  SetPos(AControl, AValue, AControl->GetTopPos());
}

void TdxScrollHelper::SetTopPos(IdxScrollingControl* AControl, int AValue)
{
  SetPos(AControl, AControl->GetLeftPos(), AValue);
}

void TdxScrollHelper::CheckPositions(IdxScrollingControl* AControl)
{
  SetPos(AControl, AControl->GetLeftPos(), AControl->GetTopPos());
}

void TdxScrollHelper::UpdateScrollingControl(IdxScrollingControl* AControl)
{
  TcxControl* instance = AControl->GetInstance();
  rtl::TFreeWatch watch(instance);
  instance->UpdateScrollBars();
  if (watch.Freed())
    return;
  // The bars may have taken room from the client: the positions follow.
  CheckPositions(AControl);
  if (watch.Freed())
    return;
  instance->Invalidate();
  instance->Update();
}

void TdxScrollHelper::InitScrollBarsParameters(IdxScrollingControl* AControl)
{
  TcxControl* instance = AControl->GetInstance();
  const TSize content = AControl->GetContentSize();
  const TSize client = GetClientSize(AControl);
  instance->SetScrollBarInfo(sbHorizontal, 0, content.cx - 1, HelperScrollStep, client.cx, AControl->GetLeftPos(),
                             true, true);
  instance->SetScrollBarInfo(sbVertical, 0, content.cy - 1, HelperScrollStep, client.cy, AControl->GetTopPos(),
                             true, true);
}

void TdxScrollHelper::Scroll(IdxScrollingControl* AControl, TScrollBarKind AScrollBarKind, TScrollCode AScrollCode,
                             int& AScrollPos)
{
  const TSize client = GetClientSize(AControl);
  if (AScrollBarKind == sbHorizontal) {
    SetLeftPos(AControl, ScrolledPos(AScrollCode, AControl->GetLeftPos(), HelperScrollStep, client.cx, AScrollPos));
    AScrollPos = AControl->GetLeftPos();
  } else {
    SetTopPos(AControl, ScrolledPos(AScrollCode, AControl->GetTopPos(), HelperScrollStep, client.cy, AScrollPos));
    AScrollPos = AControl->GetTopPos();
  }
}

void TdxScrollHelper::GestureScroll(IdxScrollingControl* AControl, int ADeltaX, int ADeltaY)
{
  TcxControl* instance = AControl->GetInstance();
  auto usable = [instance](TScrollBarKind AKind) {
    IcxControlScrollBar* bar = instance->GetMainScrollBar(AKind);
    return bar && bar->GetVisible() && bar->GetEnabled();
  };
  if (!usable(sbHorizontal))
    ADeltaX = 0;
  if (!usable(sbVertical))
    ADeltaY = 0;
  const int left = AControl->GetLeftPos() - ADeltaX;
  const int top = AControl->GetTopPos() - ADeltaY;
  const TSize content = AControl->GetContentSize();
  const TSize client = GetClientSize(AControl);
  if (ADeltaX != 0)
    instance->CheckGestureOverpan(sbHorizontal, left, 0, content.cx - client.cx, ADeltaX, ADeltaY);
  if (ADeltaY != 0)
    instance->CheckGestureOverpan(sbVertical, top, 0, content.cy - client.cy, ADeltaX, ADeltaY);
  SetPos(AControl, left, top);
}
