// The base control's side of its scroll bars: the mode, creation, the
// visibility fixpoint of DoUpdateScrollBars, the client and bar bounds,
// scrolling by direction, and the steps gestures make.
#include <algorithm>

#include "controls/cxControls.h"
#include "controls/cxPopupScrollBars.h"
#include "controls/cxScrollingControl.h"
#include "controls/dxRightToLeftLayout.h"
#include "core/cxGeometry.h"
#include "graphics/cxGraphicsColors.h"

using enum TScrollBarKind;
using enum TScrollCode;
using enum TcxDirection;
using enum TdxScrollbarMode;
using rtl::TComponentStateFlag;

namespace {

// Pixels per unit of a gesture when the page tells nothing.
constexpr int GestureMaxStep = 30;

bool IsKindAllowed(vcl::TScrollStyle AStyle, TScrollBarKind AKind)
{
  if (AStyle == vcl::TScrollStyle::ssBoth)
    return true;
  return AKind == sbHorizontal ? AStyle == vcl::TScrollStyle::ssHorizontal : AStyle == vcl::TScrollStyle::ssVertical;
}

// Vertical bars stand on the left for a right-to-left control that
// mirrors its layout.
bool UseRightToLeftScrollBar(const vcl::TControl* AControl)
{
  return AControl->IsRightToLeft() && AControl->GetBiDiMode() != vcl::TBiDiMode::bdRightToLeftReadingOnly;
}

}  // namespace

// ---------------------------------------------------------------------------
// Mode

TdxScrollbarMode TcxControl::GetScrollbarModeFromLookAndFeel()
{
  const TdxScrollbarMode mode = GetScrollBarLookAndFeel()->GetScrollbarMode();
  if (mode == sbmDefault)
    return cxIsTouchScrollUIMode() ? sbmTouch : sbmClassic;
  if (mode == sbmHybrid && !IsHybridScrollbarModeSupported())
    return sbmTouch;
  return mode;
}

void TcxControl::CheckScrollbarModeChanged()
{
  if (IsTouchScrollbarModeSupported() && IsScrollbarModeChangeAllowed() &&
      GetScrollbarModeFromLookAndFeel() != FScrollbarMode)
    ApplyScrollbarModeChange();
}

void TcxControl::ApplyScrollbarModeChange()
{
  FIsScrollUIModeChanging = true;
  try {
    ResetScrollBarsUI();
    DeactivateTouchScrollUI();
    FinalizeScrollBars();
    FScrollbarMode = GetScrollbarModeFromLookAndFeel();
    InitScrollBars();
  } catch (...) {
    FIsScrollUIModeChanging = false;
    throw;
  }
  FIsScrollUIModeChanging = false;
  ScrollUIModeChanged();
}

// ---------------------------------------------------------------------------
// Creation

rtl::ClassOf<TcxControlCustomScrollBars> TcxControl::GetMainScrollBarsClass()
{
  return rtl::ClassOf<TcxControlCustomScrollBars>::Of<TcxControlWindowedScrollBars>();
}

// The touch and hybrid modes float layered popup bars over the content.
rtl::ClassOf<TcxControlScrollBar> TcxControl::GetScrollBarClass(TScrollBarKind /*AKind*/)
{
  if (IsNonClassicScrollBarMode())
    return rtl::ClassOf<TcxControlScrollBar>::Of<TcxControlPopupScrollBar>();
  return rtl::ClassOf<TcxControlScrollBar>::Of<TcxControlScrollBar>();
}

rtl::ClassOf<TcxSizeGrip> TcxControl::GetSizeGripClass()
{
  if (IsNonClassicScrollBarMode())
    return rtl::ClassOf<TcxSizeGrip>::Of<TcxPopupSizeGrip>();
  return rtl::ClassOf<TcxSizeGrip>::Of<TcxSizeGrip>();
}

void TcxControl::CreateScrollBars()
{
  if (!NeedsScrollBars() || FMainScrollBars)
    return;
  FMainScrollBars = GetMainScrollBarsClass().Create(this);
  if (TdxSystemInfo* info = cxGetSystemInfo())
    info->AddListener(this);
  if (HandleAllocated())
    InitializeScrollBarWindows();
}

void TcxControl::DestroyScrollBars()
{
  if (!FMainScrollBars)
    return;
  if (TdxSystemInfo* info = cxGetSystemInfo())
    info->RemoveListener(this);
  rtl::FreeAndNil(FMainScrollBars);
}

void TcxControl::CreateWnd()
{
  FCreatingWindow = true;
  try {
    inherited::CreateWnd();
    if (NeedsScrollBars())
      CreateScrollBars();
    else
      DestroyScrollBars();
    InitializeAfterCreateWnd();
    UpdateScrollBars();
  } catch (...) {
    FCreatingWindow = false;
    throw;
  }
  FCreatingWindow = false;
}

void TcxControl::DestroyWindowHandle()
{
  if (!IsDestroying() && NeedsScrollBars() && FMainScrollBars)
    FMainScrollBars->ReleaseWindowHandles();
  inherited::DestroyWindowHandle();
  SetControlState(GetControlState() - vcl::TControlState{vcl::TControlStateItem::csClicked});
}

void TcxControl::InitializeScrollBarWindows()
{
  if (NeedsScrollBars() && FMainScrollBars)
    FMainScrollBars->InitializeControls();
}

bool TcxControl::IsInternalControl(vcl::TControl* AControl)
{
  return FMainScrollBars && FMainScrollBars->IsInternalControl(AControl);
}

// ---------------------------------------------------------------------------
// Access to the bars

IcxControlScrollBar* TcxControl::GetMainScrollBar(TScrollBarKind AKind)
{
  return FMainScrollBars ? FMainScrollBars->GetScrollBar(AKind) : nullptr;
}

IcxControlScrollBar* TcxControl::GetHScrollBar()
{
  return GetMainScrollBar(sbHorizontal);
}

IcxControlScrollBar* TcxControl::GetVScrollBar()
{
  return GetMainScrollBar(sbVertical);
}

bool TcxControl::HasScrollBar(TScrollBarKind AKind) const
{
  return FMainScrollBars && FMainScrollBars->GetScrollBar(AKind);
}

bool TcxControl::IsHScrollBarVisible()
{
  return FMainScrollBars && FMainScrollBars->IsScrollBarVisible(sbHorizontal);
}

bool TcxControl::IsVScrollBarVisible()
{
  return FMainScrollBars && FMainScrollBars->IsScrollBarVisible(sbVertical);
}

TcxSizeGrip* TcxControl::GetSizeGrip()
{
  return rtl::Is<TcxControlWindowedScrollBars>(FMainScrollBars)
             ? static_cast<TcxControlWindowedScrollBars*>(FMainScrollBars)->GetSizeGrip()
             : nullptr;
}

TSize TcxControl::GetScrollBarSize()
{
  switch (FScrollbarMode) {
    case sbmTouch:
      return cxGetTouchScrollBarSize(GetScaleFactor());
    case sbmHybrid:
      return cxGetHybridScrollBarSize(GetScaleFactor(), true);
    default:
      return cxGetClassicScrollBarSize(GetScaleFactor());
  }
}

bool TcxControl::ScrollBarsHaveCapture() const
{
  return FScrollBarsManager && FScrollBarsManager->GetIsCapture();
}

void TcxControl::SetScrollBars(vcl::TScrollStyle AValue)
{
  if (FScrollBars == AValue)
    return;
  FScrollBars = AValue;
  UpdateScrollBars();
}

// ---------------------------------------------------------------------------
// The scroll UI: the touch mode manager in touch mode, the owner's hybrid
// manager in hybrid mode; classic bars show and hide with their data. A nil
// owner stands for the control.

namespace {

TdxHybridScrollbarsManager* HybridManagerOf(rtl::TObject* AOwner)
{
  const rtl::TInterfaceEntry* entry = AOwner ? AOwner->GetInterfaceEntry(rtl::IIDOf<IdxHybridScrollbarOwner>()) : nullptr;
  return entry ? static_cast<IdxHybridScrollbarOwner*>(entry->Get(AOwner))->GetHybridScrollbarsManager() : nullptr;
}

}  // namespace

void TcxControl::ShowScrollUI(rtl::TObject* AOwner, bool AControlledByTimer)
{
  rtl::TObject* owner = AOwner ? AOwner : this;
  if (FScrollbarMode == sbmTouch)
    TdxTouchScrollUIModeManager::ShowScrollUI(owner, AControlledByTimer);
  else if (FScrollbarMode == sbmHybrid) {
    if (TdxHybridScrollbarsManager* manager = HybridManagerOf(owner))
      manager->Show(AControlledByTimer);
  }
}

void TcxControl::HideScrollUI(rtl::TObject* AOwner, bool AImmediately)
{
  rtl::TObject* owner = AOwner ? AOwner : this;
  if (FScrollbarMode == sbmTouch)
    TdxTouchScrollUIModeManager::HideScrollUI(owner, AImmediately);
  else if (FScrollbarMode == sbmHybrid) {
    if (TdxHybridScrollbarsManager* manager = HybridManagerOf(owner))
      manager->Hide(AImmediately, !AImmediately);
  }
}

bool TcxControl::IsScrollUIHidden(rtl::TObject* AOwner)
{
  rtl::TObject* owner = AOwner ? AOwner : this;
  if (FScrollbarMode == sbmTouch)
    return TdxTouchScrollUIModeManager::IsScrollUIHidden(owner);
  if (FScrollbarMode == sbmHybrid) {
    TdxHybridScrollbarsManager* manager = HybridManagerOf(owner);
    return !manager || !manager->GetAllowVisible();
  }
  return false;
}

// In every mode: the manager forgets only its active owner, and a control
// that left touch mode must not stay behind as one.
void TcxControl::DeactivateTouchScrollUI(rtl::TObject* AOwner)
{
  TdxTouchScrollUIModeManager::Deactivate(AOwner ? AOwner : this);
}

void TcxControl::ScrollUIStateChanged()
{
  UpdateScrollBars();
}

bool TcxControl::HasVisibleScrollUI()
{
  return IsVScrollBarVisible() || IsHScrollBarVisible();
}

void TcxControl::DoHideScrollUI()
{
  if (FMainScrollBars)
    FMainScrollBars->HideControls();
}

void TcxControl::ResetScrollBarsUI()
{
  if (IsNonClassicScrollBarMode())
    HideScrollUI(nullptr, true);
  else if (FMainScrollBars)
    FMainScrollBars->HideControls();
}

void TcxControl::InvalidateScrollBars()
{
  if (FMainScrollBars)
    FMainScrollBars->Invalidate();
}

vcl::TColor TcxControl::GetHybridScrollbarBaseColor()
{
  if (FHybridScrollbarBaseColor != vcl::clDefault)
    return FHybridScrollbarBaseColor;
  return TdxColorSpaceConverter::ColorToHSL(GetContentTextColor()).L <= 0.6 ? vcl::TColor(0x000000)
                                                                             : vcl::TColor(0xFFFFFF);
}

rtl::TObject* TcxControl::GetScrollUIOwner(const TPoint& /*P*/)
{
  return this;
}

// ---------------------------------------------------------------------------
// Update requests and the visibility fixpoint

bool TcxControl::IsScrollBarsUpdateAllowed()
{
  return !IsLoading() && NeedsScrollBars();
}

void TcxControl::UpdateScrollBars()
{
  if (!IsScrollBarsUpdateAllowed())
    return;
  if (FScrollBarsLockCount < 1)
    DoUpdateScrollBars();
  else
    FScrollBarsUpdateNeeded = true;
}

void TcxControl::LockScrollBars()
{
  if (FScrollBarsLockCount++ == 0)
    FScrollBarsUpdateNeeded = false;
}

void TcxControl::UnlockScrollBars()
{
  if (FScrollBarsLockCount < 1)
    return;
  if (--FScrollBarsLockCount == 0 && FScrollBarsUpdateNeeded)
    UpdateScrollBars();
}

void TcxControl::BoundsChanged()
{
  UpdateScrollBars();
  if (HasTransparentChildren())
    Invalidate();
}

void TcxControl::Resize()
{
  inherited::Resize();
  BoundsChanged();
}

void TcxControl::DoUpdateScrollBars()
{
  if (!FMainScrollBars)
    return;
  const bool hVisible = IsHScrollBarVisible();
  const bool vVisible = IsVScrollBarVisible();
  if (FUpdateScrollBarsCount == 0) {
    FInitialHScrollBarActive = hVisible;
    FInitialVScrollBarActive = vVisible;
  } else if (hVisible == FInitialHScrollBarActive && vVisible == FInitialVScrollBarActive) {
    // Back where the outermost call began: the recursion that visibility
    // changes cause stops here.
    ApplyScrollBarsState();
    return;
  }
  ++FUpdateScrollBarsCount;
  struct TCountGuard {
    int& Count;
    ~TCountGuard() { --Count; }
  } countGuard{FUpdateScrollBarsCount};

  CalculateScrollBars();
  FMainScrollBars->ApplyScrollBarsData();
  if (!IsClassicScrollBarMode()) {
    ApplyScrollBarsState();
    return;
  }
  const int changes = (IsHScrollBarVisible() != hVisible ? 1 : 0) + (IsVScrollBarVisible() != vVisible ? 2 : 0);
  if (changes != 0)
    ScrollBarsVisibilityChanged(changes);
  else
    ApplyScrollBarsState();
}

// InitScrollBarsParameters runs until a pass leaves both visibilities as
// they were: one bar taking room may make the other necessary.
void TcxControl::CalculateScrollBars()
{
  if (FMainScrollBars->GetCalculating())
    return;
  FMainScrollBars->SetCalculating(true);
  struct TCalculatingGuard {
    TcxControlCustomScrollBars* Bars;
    ~TCalculatingGuard() { Bars->SetCalculating(false); }
  } calculatingGuard{FMainScrollBars};

  TcxScrollBarData* hData = GetHScrollBar()->GetData();
  TcxScrollBarData* vData = GetVScrollBar()->GetData();
  hData->FVisible = false;
  vData->FVisible = false;
  PrepareScrollBarsCalculation();
  // Each pass can only turn bars on or off; four states bound the loop.
  for (int pass = 0; pass < 4; ++pass) {
    const bool hVisible = hData->FVisible;
    const bool vVisible = vData->FVisible;
    InitScrollBarsParameters();
    if (hData->FVisible == hVisible && vData->FVisible == vVisible)
      break;
  }
  HideScrollBarsMutually();
}

// Two bars needed only because each takes the other's room both go when
// the control allows a bar to give its thickness to the page.
void TcxControl::HideScrollBarsMutually()
{
  TcxScrollBarData* hData = GetHScrollBar()->GetData();
  TcxScrollBarData* vData = GetVScrollBar()->GetData();
  auto isHideable = [](const TcxScrollBarData* AData) {
    return AData->FVisible && AData->FEnabled && AData->FAllowHide;
  };
  if (!isHideable(hData) || !isHideable(vData))
    return;
  const int hThickness = GetHScrollBar()->GetHeight();
  const int vThickness = GetVScrollBar()->GetWidth();
  auto fits = [](const TcxScrollBarData* AData, int AThickness) {
    return AThickness + AData->FPageSize >= AData->FMax - AData->FMin + 1;
  };
  if (!AllowPageIncreaseByScrollBar(sbVertical) || !fits(vData, hThickness))
    return;
  if (!AllowPageIncreaseByScrollBar(sbHorizontal) || !fits(hData, vThickness))
    return;
  SetScrollBarInfo(sbHorizontal, hData->FMin, hData->FMax, hData->FSmallChange, hData->FPageSize + vThickness,
                   hData->FPosition, hData->FAllowShow, hData->FAllowHide);
  SetScrollBarInfo(sbVertical, vData->FMin, vData->FMax, vData->FSmallChange, vData->FPageSize + hThickness,
                   vData->FPosition, vData->FAllowShow, vData->FAllowHide);
}

void TcxControl::ApplyScrollBarsState()
{
  FMainScrollBars->SetSizeGripVisible(GetSizeGripVisible());
  UpdateScrollBarsBounds();
  if (CanBringScrollBarsToFront())
    BringScrollBarsToFront();
}

void TcxControl::SetScrollBarInfo(TScrollBarKind AScrollBarKind, int AMin, int AMax, int AStep, int APage, int APos,
                                  bool AAllowShow, bool AAllowHide)
{
  IcxControlScrollBar* bar = GetMainScrollBar(AScrollBarKind);
  if (!bar)
    return;
  TcxScrollBarData* data = bar->GetData();
  data->FMin = AMin;
  data->FMax = AMax;
  data->FSmallChange = static_cast<TScrollBarInc>(AStep);
  data->FPageSize = APage;
  data->FLargeChange = static_cast<TScrollBarInc>(APage);
  data->FPosition = APos;
  data->Validate();
  data->FAllowShow = AAllowShow && IsKindAllowed(FScrollBars, AScrollBarKind) &&
                     (IsClassicScrollBarMode() || data->FIsValid);
  data->FAllowHide = AAllowHide;
  if (!data->FAllowShow) {
    data->FVisible = false;
  } else if (data->FIsValid) {
    data->FEnabled = true;
    data->FVisible = true;
  } else if (AAllowHide) {
    data->FVisible = false;
  } else {
    // A bar that may not hide stays in place, disabled.
    data->FEnabled = false;
    data->FVisible = true;
  }
}

bool TcxControl::GetSizeGripVisible()
{
  return IsHScrollBarVisible() && IsVScrollBarVisible();
}

void TcxControl::BringScrollBarsToFront()
{
  if (FMainScrollBars)
    FMainScrollBars->BringControlsToFront();
}

void TcxControl::UpdateScrollBarsBounds()
{
  if (FMainScrollBars)
    FMainScrollBars->UpdateBounds();
}

void TcxControl::UpdateScrollBarControls()
{
  if (NeedsScrollBars() && FMainScrollBars)
    FMainScrollBars->UpdateControlsState();
}

// ---------------------------------------------------------------------------
// Bounds

TRect TcxControl::GetClientBounds()
{
  TRect r = GetBounds();
  const int border = GetBorderSize();
  InflateRect(&r, -border, -border);
  if (!IsClassicScrollBarMode())
    return r;
  if (IsHScrollBarVisible())
    r.bottom -= GetHScrollBarAreaHeight();
  if (IsVScrollBarVisible()) {
    if (UseRightToLeftScrollBar(this))
      r.left += GetVScrollBarAreaWidth();
    else
      r.right -= GetVScrollBarAreaWidth();
  }
  return r;
}

int TcxControl::GetHScrollBarAreaHeight()
{
  if (!IsClassicScrollBarMode())
    return 0;
  if (FScrollbarMode == sbmClassic && GetHScrollBar())
    return GetHScrollBar()->GetHeight();
  return GetHScrollBarDefaultHeight();
}

int TcxControl::GetVScrollBarAreaWidth()
{
  if (!IsClassicScrollBarMode())
    return 0;
  if (FScrollbarMode == sbmClassic && GetVScrollBar())
    return GetVScrollBar()->GetWidth();
  return GetVScrollBarDefaultWidth();
}

int TcxControl::GetHScrollBarDefaultHeight()
{
  switch (FScrollbarMode) {
    case sbmClassic:
      return cxGetClassicScrollBarSize(GetScaleFactor()).cy;
    case sbmHybrid:
      return cxGetHybridScrollBarSize(GetScaleFactor(), false).cy;
    default:
      return 0;
  }
}

int TcxControl::GetVScrollBarDefaultWidth()
{
  switch (FScrollbarMode) {
    case sbmClassic:
      return cxGetClassicScrollBarSize(GetScaleFactor()).cx;
    case sbmHybrid:
      return cxGetHybridScrollBarSize(GetScaleFactor(), false).cx;
    default:
      return 0;
  }
}

void TcxControl::GetHScrollBarBounds(TRect& R)
{
  const TRect client = GetClientBounds();
  R = client;
  const int height = GetHScrollBar() ? GetHScrollBar()->GetHeight() : 0;
  switch (FScrollbarMode) {
    case sbmTouch:
      R.top = R.bottom - height;
      if (IsVScrollBarVisible())
        R.right -= GetVScrollBar()->GetWidth();
      break;
    case sbmHybrid:
      R.top = R.bottom - height;
      if (HasScrollBar(sbVertical))
        R.right -= GetVScrollBar()->GetWidth();
      break;
    default:
      R.top = R.bottom;
      R.bottom = R.top + height;
      break;
  }
  if (UseRightToLeftAlignment())
    R = TdxRightToLeftLayoutConverter::ConvertRect(R, client);
}

void TcxControl::GetVScrollBarBounds(TRect& R)
{
  const TRect client = GetClientBounds();
  R = client;
  const int width = GetVScrollBar() ? GetVScrollBar()->GetWidth() : 0;
  switch (FScrollbarMode) {
    case sbmTouch:
      R.left = R.right - width;
      if (IsHScrollBarVisible())
        R.bottom -= GetHScrollBar()->GetHeight();
      break;
    case sbmHybrid:
      R.left = R.right - width;
      if (HasScrollBar(sbHorizontal))
        R.bottom -= GetHScrollBar()->GetHeight();
      break;
    default:
      R.left = R.right;
      R.right = R.left + width;
      break;
  }
  if (UseRightToLeftScrollBar(this))
    R = TdxRightToLeftLayoutConverter::ConvertRect(R, client);
}

void TcxControl::GetSizeGripBounds(TRect& R)
{
  TRect h;
  TRect v;
  GetHScrollBarBounds(h);
  GetVScrollBarBounds(v);
  R = TRect{v.left, h.top, v.right, h.bottom};
}

bool TcxControl::IsPointOnScrollBars(const TPoint& P)
{
  if (!FMainScrollBars)
    return false;
  switch (FScrollbarMode) {
    case sbmClassic:
      return FScrollBarsManager->IsScrollBarsArea(P) || IsPointOnSizeGrip(P);
    case sbmHybrid: {
      const TSize collapsed = cxGetHybridScrollBarSize(GetScaleFactor(), false);
      if (IsVScrollBarVisible()) {
        TRect r;
        GetVScrollBarBounds(r);
        if (UseRightToLeftScrollBar(this))
          r.right = r.left + collapsed.cx;
        else
          r.left = r.right - collapsed.cx;
        if (PtInRect(&r, P))
          return true;
      }
      if (IsHScrollBarVisible()) {
        TRect r;
        GetHScrollBarBounds(r);
        r.top = r.bottom - collapsed.cy;
        if (PtInRect(&r, P))
          return true;
      }
      return false;
    }
    default:
      return false;
  }
}

bool TcxControl::IsPointOnSizeGrip(const TPoint& P)
{
  return FMainScrollBars && FMainScrollBars->IsPointOnSizeGrip(P);
}

// ---------------------------------------------------------------------------
// Scrolling by direction and re-measuring

void TcxControl::ScrollContent(TcxDirection ADirection)
{
  if (ADirection == dirNone)
    return;
  if (!NeedsScrollBars() && !CanScrollContentWithoutScrollBars(ADirection))
    return;
  ShowScrollUI(this, false);
  const TScrollBarKind kind = ADirection == dirLeft || ADirection == dirRight ? sbHorizontal : sbVertical;
  const TScrollCode code = ADirection == dirLeft || ADirection == dirUp ? scLineUp : scLineDown;
  int position = 0;
  if (NeedsScrollBars() && GetMainScrollBar(kind))
    position = GetMainScrollBar(kind)->GetPosition();
  rtl::TFreeWatch watch(this);
  Scroll(kind, code, position);
  if (watch.Freed())
    return;
  Update();
  HideScrollUI(this, false);
}

void TcxControl::SystemInfoChanged(UINT /*AParameter*/)
{
  if (HandleAllocated())
    SendNotifyMessageW(GetHandle(), DXM_RECALCULATESCROLLBARS, 0, 0);
}

void TcxControl::WMNCCalcSize(rtl::TMessage& AMessage)
{
  InheritedMessage(this, AMessage);
  if (HandleAllocated())
    PostMessageW(GetHandle(), DXM_RECALCULATESCROLLBARS, 0, 0);
}

void TcxControl::DXMRecalculateScrollBars(rtl::TMessage& /*AMessage*/)
{
  if (!NeedsScrollBars() || !FMainScrollBars)
    return;
  const vcl::TScrollStyle checked = GetSizeCheckedScrollBars();
  bool changed = false;
  if (checked == vcl::TScrollStyle::ssHorizontal || checked == vcl::TScrollStyle::ssBoth)
    changed = FMainScrollBars->CheckScrollBarSize(sbHorizontal) || changed;
  if (checked == vcl::TScrollStyle::ssVertical || checked == vcl::TScrollStyle::ssBoth)
    changed = FMainScrollBars->CheckScrollBarSize(sbVertical) || changed;
  if (changed)
    BoundsChanged();
}

void TcxControl::WMWindowPosChanged(rtl::TMessage& AMessage)
{
  const TRect before = GetBoundsRect();
  InheritedMessage(this, AMessage);
  if (!IsNonClassicScrollBarMode() || !HasVisibleScrollUI() || !AMessage.LParam)
    return;
  const auto& pos = *reinterpret_cast<const WINDOWPOS*>(AMessage.LParam);
  const bool moved = (pos.flags & SWP_NOMOVE) == 0 && (pos.x != before.left || pos.y != before.top);
  const bool resized =
      (pos.flags & SWP_NOSIZE) == 0 && (pos.cx != before.right - before.left || pos.cy != before.bottom - before.top);
  if (moved && !resized)
    ScrollUIStateChanged();
}

// ---------------------------------------------------------------------------
// Gestures

bool TcxControl::HandleGestureMessage(rtl::TMessage& /*AMessage*/)
{
  // The platform's gesture messages reach a control through a gesture
  // helper; without one nothing is taken.
  return false;
}

TInteractiveGestures TcxControl::GetDefaultInteractiveGestures()
{
  // Gesture ids 4, 3, 5, 6, 7 are the pan, zoom, rotate, two-finger tap and
  // press-and-tap gestures.
  static constexpr std::pair<int, TInteractiveGesture> gestures[] = {
      {4, TInteractiveGesture::igPan},
      {3, TInteractiveGesture::igZoom},
      {5, TInteractiveGesture::igRotate},
      {6, TInteractiveGesture::igTwoFingerTap},
      {7, TInteractiveGesture::igPressAndTap}};
  TInteractiveGestures result;
  for (const auto& [id, gesture] : gestures)
    if (IsDefaultGesture(id))
      result.Include(gesture);
  return result;
}

TInteractiveGestureOptions TcxControl::GetDefaultInteractiveGestureOptions()
{
  TInteractiveGestureOptions result;
  const int pan = GetDefaultPanOptions();
  for (int i = 0; i < 4; ++i)
    if ((pan & (1 << i)) != 0)
      result.Include(static_cast<TInteractiveGestureOption>(i));
  result.Include(TInteractiveGestureOption::igoParentPassthrough);
  return result;
}

bool TcxControl::AllowGesture(int AGestureID)
{
  const TInteractiveGestures gestures = GetDefaultInteractiveGestures();
  switch (AGestureID) {
    case 3: return gestures.Contains(TInteractiveGesture::igZoom);
    case 4: return gestures.Contains(TInteractiveGesture::igPan);
    case 5: return gestures.Contains(TInteractiveGesture::igRotate);
    case 6: return gestures.Contains(TInteractiveGesture::igTwoFingerTap);
    case 7: return gestures.Contains(TInteractiveGesture::igPressAndTap);
    default: return false;
  }
}

int TcxControl::GetPanOptions()
{
  int result = GetDefaultPanOptions();
  if (GetDefaultInteractiveGestures().Contains(TInteractiveGesture::igPan))
    result |= 1;
  return result;
}

bool TcxControl::IsPanArea(const TPoint& P)
{
  const TRect client = GetClientBounds();
  return PtInRect(&client, P) && !IsPointOnScrollBars(P);
}

bool TcxControl::AllowPan(TScrollBarKind AKind)
{
  const int wheelKind = GetMouseWheelScrollingKind();
  if (UseScrollDataForGestures())
    return AKind == sbVertical ? wheelKind == 2 : wheelKind != 2;
  const bool visible = AKind == sbVertical ? IsVScrollBarVisible() : IsHScrollBarVisible();
  if (!visible)
    return false;
  if (wheelKind == (AKind == sbVertical ? 2 : 1))
    return true;
  return AKind == sbVertical ? !IsHScrollBarVisible() : !IsVScrollBarVisible();
}

void TcxControl::BeginGestureScroll(const TPoint& /*APos*/)
{
  FGestureAccumulatedDelta = TPoint{0, 0};
  ShowScrollUI(this, false);
}

void TcxControl::EndGestureScroll()
{
  HideScrollUI(this, false);
}

void TcxControl::CheckGestureOverpan(TScrollBarKind /*AKind*/, int /*ANewPos*/, int /*AMinPos*/, int /*AMaxPos*/,
                                     int /*ADeltaX*/, int /*ADeltaY*/)
{
}

void TcxControl::SetGestureScrollPos(TScrollBarKind AKind, int APos)
{
  Scroll(AKind, scTrack, APos);
}

void TcxControl::GestureScroll(int ADeltaX, int ADeltaY)
{
  // Pixel-scrolled controls pan by their positions, not by bar units.
  rtl::IPtr<IdxScrollingControl> scrolling;
  if (rtl::Supports(this, &scrolling)) {
    TdxScrollHelper::GestureScroll(scrolling.Get(), ADeltaX, ADeltaY);
    return;
  }
  const std::pair<TScrollBarKind, int> axes[] = {{sbHorizontal, ADeltaX}, {sbVertical, ADeltaY}};
  rtl::TFreeWatch watch(this);
  for (const auto& [kind, delta] : axes) {
    if (watch.Freed())
      return;
    if (!CanGestureScroll(kind)) {
      DoUnhandledGestureScroll(kind, delta);
      continue;
    }
    IcxControlScrollBar* bar = GetMainScrollBar(kind);
    if (!bar)
      continue;
    const bool usable = (bar->GetVisible() && bar->GetEnabled()) || (UseScrollDataForGestures() && bar->GetData()->FIsValid);
    if (!usable)
      continue;
    LONG& axis = kind == sbHorizontal ? FGestureAccumulatedDelta.x : FGestureAccumulatedDelta.y;
    int accumulated = axis + delta;
    GestureScrollStep(kind, accumulated, ADeltaX, ADeltaY);
    if (watch.Freed())
      return;
    axis = accumulated;
  }
}

// Turns accumulated pixels into whole scroll units; the remainder waits for
// the next delta.
void TcxControl::GestureScrollStep(TScrollBarKind AKind, int& AAccumulated, int ADeltaX, int ADeltaY)
{
  IcxControlScrollBar* bar = GetMainScrollBar(AKind);
  int min;
  int max;
  int page;
  int position;
  if (UseScrollDataForGestures()) {
    const TcxScrollBarData* data = bar->GetData();
    min = data->FMin;
    max = data->FMax;
    page = data->FPageSize;
    position = data->FPosition;
  } else {
    min = bar->GetMin();
    max = bar->GetMax();
    page = bar->GetPageSize();
    position = bar->GetPosition();
  }
  const int maxPos = max + 1 - min - page;
  int step = GestureMaxStep;
  if (page != 0) {
    const TRect client = GetClientBounds();
    const int clientSize = AKind == sbHorizontal ? client.right - client.left : client.bottom - client.top;
    step = std::min(GestureMaxStep, clientSize / page);
  }
  // A page larger than the client would give a step of 0: one pixel is a
  // unit then.
  step = std::max(step, 1);
  const int units = AAccumulated / step;
  if (units == 0)
    return;
  AAccumulated %= step;
  int newPos = position - units;
  CheckGestureOverpan(AKind, newPos, min, maxPos, ADeltaX, ADeltaY);
  newPos = std::clamp(newPos, min, std::max(min, maxPos));
  rtl::TFreeWatch watch(this);
  SetGestureScrollPos(AKind, newPos);
  if (!watch.Freed())
    Update();
}
