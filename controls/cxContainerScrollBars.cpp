// The container unit: the container's scroll bars laid over its inner
// window's native ones, the size grip, and the inner list box.
#include "controls/cxContainer.h"

#include <windowsx.h>

#include <algorithm>

#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "platform/rtl/SysUtils.h"

// ---------------------------------------------------------------------------
// The container's mirrored scroll bars

namespace {

LONG ObjectIdOf(TScrollBarKind AKind)
{
  return AKind == TScrollBarKind::sbHorizontal ? OBJID_HSCROLL : OBJID_VSCROLL;
}

constexpr DWORD InvisibleOrOffscreen = STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;

void SendNCPaintForRect(HWND AWnd, const TRect& R)
{
  vcl::TOwnedRegion ARegion(CreateRectRgnIndirect(&R));
  SendMessageW(AWnd, WM_NCPAINT, reinterpret_cast<WPARAM>(ARegion.Get()), 0);
}

}  // namespace

void TcxContainer::SetScrollBarsParameters(bool AIsScrolling)
{
  if (!FInnerControl || !NeedsScrollBars() || IsDestroying() || !cxCanGetScrollBarInfo() || !GetMainScrollBars())
    return;
  FScrollBarsCalculating = true;
  try {
    if (IsNonClassicScrollBarMode() && !AIsScrolling)
      UpdatePopupScrollBars();
    for (TScrollBarKind AKind : {TScrollBarKind::sbHorizontal, TScrollBarKind::sbVertical}) {
      IcxControlScrollBar* ABar = GetMainScrollBar(AKind);
      if (!ABar)
        continue;
      if (IsNonClassicScrollBarMode()) {
        if (!ABar->GetData()->FVisible) {
          ABar->ApplyData();
          continue;
        }
      } else {
        if (!AIsScrolling)
          AdjustScrollBarToInnerControl(ABar);
        if (!ABar->GetVisible())
          continue;
      }
      SCROLLINFO AInfo;
      GetInnerScrollInfo(AKind, AInfo);
      if (AKind == TScrollBarKind::sbHorizontal && !CanMirrorHorizontalScrollBar())
        ABar->GetControl()->SetBiDiMode(vcl::TBiDiMode::bdLeftToRight);
      if (IsClassicScrollBarMode()) {
        ABar->SetScrollParams(AInfo.nMin, AInfo.nMax, AInfo.nPos, AInfo.nPage, true);
      } else {
        const bool ADataVisible = ABar->GetData()->FVisible;
        SetScrollBarInfo(AKind, AInfo.nMin, AInfo.nMax, ABar->GetSmallChange(), AInfo.nPage, AInfo.nPos, true, true);
        ABar->GetData()->FVisible = ADataVisible;
        ABar->ApplyData();
      }
    }
    if (IsNonClassicScrollBarMode()) {
      if (TcxSizeGrip* AGrip = GetSizeGrip())
        AGrip->SetVisible(GetSizeGripVisible());
    } else {
      UpdateSizeGripData();
    }
  } catch (...) {
    FScrollBarsCalculating = false;
    throw;
  }
  FScrollBarsCalculating = false;
}

void TcxContainer::AdjustScrollBarToInnerControl(IcxControlScrollBar* AScrollBar)
{
  SCROLLBARINFO AInfo;
  if (!IsInnerScrollBarUsable(AScrollBar->GetKind(), AInfo)) {
    SetScrollBarVisible(AScrollBar, false);
    return;
  }
  AScrollBar->SetEnabled(IsScrollBarEnabled(AScrollBar, AInfo));
  TRect R;
  ScreenRectToClientArea(AInfo.rcScrollBar, R);
  if (!dxIsPerMonitorV2Aware())
    if (rtl::Is<TcxControl>(AScrollBar->GetControl()) || rtl::Is<TcxScrollBar>(AScrollBar->GetControl()))
      TcxControlHelper::ChangeScaleFactor(AScrollBar->GetControl(), dxGetSystemScaleFactor());
  AScrollBar->SetBoundsRect(TRect{R.left, R.top, R.left + R.right, R.top + R.bottom});
  SetScrollBarVisible(AScrollBar, R.right > 0 && R.bottom > 0);
}

void TcxContainer::UpdatePopupScrollBars()
{
  // Touch and hybrid modes: which bars have anything to show.
  SCROLLBARINFO AInfo;
  for (TScrollBarKind AKind : {TScrollBarKind::sbHorizontal, TScrollBarKind::sbVertical})
    if (IcxControlScrollBar* ABar = GetMainScrollBar(AKind))
      ABar->GetData()->FVisible = IsInnerScrollBarUsable(AKind, AInfo) && IsScrollBarEnabled(ABar, AInfo);
}

void TcxContainer::ScreenRectToClientArea(const TRect& AScreenRect, TRect& R)
{
  const TPoint ATopLeft = ScreenToClient(TPoint{AScreenRect.left, AScreenRect.top});
  R = TRect{ATopLeft.x, ATopLeft.y, AScreenRect.right - AScreenRect.left, AScreenRect.bottom - AScreenRect.top};
  if (R.left < 0 || R.top < 0 || R.right > GetWidth() || R.bottom > GetHeight())
    R = TRect{};
}

bool TcxContainer::IsScrollBarEnabled(IcxControlScrollBar*, const SCROLLBARINFO& AInfo)
{
  return GetEnabled() && (AInfo.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0;
}

bool TcxContainer::GetInnerControlScrollBarInfo(SCROLLBARINFO& AInfo, TScrollBarKind AKind)
{
  if (IsDestroying() || !GetParent() || !HandleAllocated() || !HasInnerControlHandle())
    return false;
  return cxGetScaledScrollBarInfo(FInnerControl->GetHandle(), ObjectIdOf(AKind), AInfo,
                                  UseRightToLeftAlignment(), GetScaleFactor());
}

void TcxContainer::SetScrollBarVisible(IcxControlScrollBar* AScrollBar, bool AVisible)
{
  AScrollBar->SetVisible(AVisible);
  if (AVisible && AScrollBar->GetControl())
    AScrollBar->GetControl()->BringToFront();
}

bool TcxContainer::IsInnerScrollBarUsable(TScrollBarKind AKind, SCROLLBARINFO& AInfo)
{
  return GetInnerControlScrollBarInfo(AInfo, AKind) && (AInfo.rgstate[0] & InvisibleOrOffscreen) == 0 &&
         AInfo.rcScrollBar.right > AInfo.rcScrollBar.left && AInfo.rcScrollBar.bottom > AInfo.rcScrollBar.top;
}

void TcxContainer::GetInnerScrollInfo(TScrollBarKind AKind, SCROLLINFO& AInfo)
{
  AInfo = {};
  AInfo.cbSize = sizeof(AInfo);
  AInfo.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
  GetScrollInfo(FInnerControl->GetHandle(), AKind == TScrollBarKind::sbHorizontal ? SB_HORZ : SB_VERT, &AInfo);
  if (static_cast<int>(AInfo.nPage) > AInfo.nMax)
    AInfo.nPage = std::max(AInfo.nMax, 0);
}

HWND TcxContainer::GetScrollBarHandle(TScrollBarKind AKind)
{
  IcxControlScrollBar* ABar = GetMainScrollBar(AKind);
  if (!ABar || !rtl::Is<vcl::TWinControl>(ABar->GetControl()))
    return nullptr;
  auto* AControl = static_cast<vcl::TWinControl*>(ABar->GetControl());
  return AControl->HandleAllocated() ? AControl->GetHandle() : nullptr;
}

void TcxContainer::UpdateSizeGripData()
{
  TcxContainerSizeGripData AData{};
  rtl::IPtr<IcxContainerInnerControl> AInner;
  AData.Visible = IsHScrollBarVisible() && IsVScrollBarVisible() && HasInnerControlHandle() &&
                  rtl::Supports(FInnerControl, &AInner);
  if (AData.Visible) {
    AData.Bounds = cxGetInnerControlSizeGripRect(AInner.Get());
    if (!FSizeGripData.Visible || !EqualRect(&AData.Bounds, &FSizeGripData.Bounds))
      SendNCPaintForRect(FInnerControl->GetHandle(), AData.Bounds);
  }
  FSizeGripData = AData;
}

TRect cxGetContainerSizeGripRect(TcxContainer* AContainer)
{
  if (!AContainer->IsHScrollBarVisible() || !AContainer->IsVScrollBarVisible() || !AContainer->HasInnerControlHandle())
    return TRect{};
  IcxControlScrollBar* AHorz = AContainer->GetHScrollBar();
  IcxControlScrollBar* AVert = AContainer->GetVScrollBar();
  TPoint ATopLeft = AContainer->ClientToScreen(TPoint{AVert->GetLeft(), AHorz->GetTop()});
  // The inner control's window coordinates.
  RECT AWindowRect;
  GetWindowRect(AContainer->GetInnerControl()->GetHandle(), &AWindowRect);
  ATopLeft.x -= AWindowRect.left;
  ATopLeft.y -= AWindowRect.top;
  return TRect{ATopLeft.x, ATopLeft.y, ATopLeft.x + AVert->GetWidth(), ATopLeft.y + AHorz->GetHeight()};
}

TRect cxGetInnerControlSizeGripRect(IcxContainerInnerControl* AInnerControl)
{
  TcxContainer* AContainer = AInnerControl ? AInnerControl->GetControlContainer() : nullptr;
  return AContainer ? cxGetContainerSizeGripRect(AContainer) : TRect{};
}

void cxFillContainerRect(TcxContainer* AContainer, const TRect& R)
{
  if (cxRectHasNoArea(R) || !AContainer->HasInnerControlHandle())
    return;
  const HWND AWnd = AContainer->GetInnerControl()->GetHandle();
  vcl::TWindowDC ADC(AWnd, GetWindowDC(AWnd));
  const DWORD ALayout = GetLayout(ADC.Get());
  SetLayout(ADC.Get(), 0);
  vcl::TOwnedBrush ABrush(
      CreateSolidBrush(vcl::ColorToRGB(AContainer->GetLookAndFeel()->GetPainter()->DefaultSizeGripAreaColor())));
  FillRect(ADC.Get(), &R, ABrush.Get());
  SetLayout(ADC.Get(), ALayout);
}

void cxPaintContainerSizeGrip(TcxContainer* AContainer)
{
  cxFillContainerRect(AContainer, cxGetContainerSizeGripRect(AContainer));
}

// ---------------------------------------------------------------------------
// TcxCustomInnerListBox

namespace {

// The framework's notifications that the list's scroll state may have
// changed.
constexpr UINT CM_INNERLISTSCROLLSTATE1 = 0xB025;
constexpr UINT CM_INNERLISTSCROLLSTATE2 = 0xB033;

bool IsKeyDown(int AKey)
{
  return GetKeyState(AKey) < 0;
}

}  // namespace

void TcxCustomInnerListBox::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FAutoComplete = true;
  FAutoCompleteDelay = 500;
  FLookAndFeel = rtl::New<TcxLookAndFeel>(this);
  FLookAndFeel->SetOnChanged(TcxLookAndFeelChangedEvent::Bind<&TcxCustomInnerListBox::LookAndFeelChanged>(this));
  for (TScrollBarKind AKind : {TScrollBarKind::sbHorizontal, TScrollBarKind::sbVertical}) {
    TcxScrollBar* ABar = rtl::New<TcxScrollBar>(this);
    ABar->FreeNotification(this);
    ABar->SetKind(AKind);
    ABar->SetSmallChange(1);
    ABar->SetVisible(false);
    ABar->GetLookAndFeel()->SetMasterLookAndFeel(FLookAndFeel);
    if (AKind == TScrollBarKind::sbHorizontal) {
      ABar->SetOnScroll(TScrollEvent::Bind<&TcxCustomInnerListBox::HScrollHandler>(this));
      FHScrollBar = ABar;
    } else {
      ABar->SetOnScroll(TScrollEvent::Bind<&TcxCustomInnerListBox::VScrollHandler>(this));
      FVScrollBar = ABar;
    }
  }
  SetBorderStyle(vcl::TBorderStyle::bsNone);
  vcl::TControlStyle AStyle = GetControlStyle();
  AStyle.Exclude(vcl::TControlStyleItem::csOpaque);
  AStyle.Include(vcl::TControlStyleItem::csDoubleClicks);
  AStyle.Include(vcl::TControlStyleItem::csOverrideStylePaint);
  SetControlStyle(AStyle);
  SetParentColor(false);
  SetParentFont(true);
}

void TcxCustomInnerListBox::Destroy()
{
  // Bars laid on the parent are freed as this list box's components; the
  // others go here with the look and feel they follow.
  for (TcxScrollBar* ABar : {FHScrollBar, FVScrollBar})
    if (ABar && !ABar->GetParent())
      rtl::Free(ABar);
  FHScrollBar = nullptr;
  FVScrollBar = nullptr;
  inherited::Destroy();
  rtl::FreeAndNil(FLookAndFeel);
}

void TcxCustomInnerListBox::DefaultHandler(rtl::TMessage& AMessage)
{
  if (!FContainer || !FContainer->InnerControlDefaultHandler(AMessage))
    inherited::DefaultHandler(AMessage);
}

bool TcxCustomInnerListBox::ItemVisible(int AIndex)
{
  const TRect R = ItemRect(AIndex);
  const TRect ABounds{0, 0, GetWidth(), GetHeight()};
  for (const POINT P : {POINT{R.left, R.top}, POINT{R.right - 1, R.top}, POINT{R.left, R.bottom - 1},
                        POINT{R.right - 1, R.bottom - 1}})
    if (PtInRect(&ABounds, P))
      return true;
  return false;
}

void TcxCustomInnerListBox::SetExternalScrollBarsParameters()
{
  if (GetComponentState().Contains(rtl::TComponentStateFlag::csDestroying) || FScrollBarsLockCount > 0 ||
      !cxCanGetScrollBarInfo() || FIsRedrawLocked || !GetParent() || !GetParent()->HandleAllocated() ||
      !HandleAllocated())
    return;
  FScrollBarsCalculating = true;
  try {
    UpdateOwnScrollBar(FHScrollBar, OBJID_HSCROLL);
    UpdateOwnScrollBar(FVScrollBar, OBJID_VSCROLL);
    if (FContainer)
      FContainer->SetScrollBarsParameters(false);
  } catch (...) {
    FScrollBarsCalculating = false;
    throw;
  }
  FScrollBarsCalculating = false;
}

bool TcxCustomInnerListBox::AreBothOwnBarsVisible() const
{
  return FHScrollBar && FVScrollBar && FHScrollBar->GetVisible() && FVScrollBar->GetVisible();
}

TRect TcxCustomInnerListBox::GetSizeGripRect()
{
  if (!AreBothOwnBarsVisible() || !GetParent())
    return TRect{};
  // The own bars lie on the parent; the corner in this window's coordinates.
  TPoint ATopLeft = GetParent()->ClientToScreen(TPoint{FVScrollBar->GetLeft(), FHScrollBar->GetTop()});
  RECT AWindowRect;
  GetWindowRect(GetHandle(), &AWindowRect);
  ATopLeft.x -= AWindowRect.left;
  ATopLeft.y -= AWindowRect.top;
  return TRect{ATopLeft.x, ATopLeft.y, ATopLeft.x + FVScrollBar->GetWidth(), ATopLeft.y + FHScrollBar->GetHeight()};
}

TdxScaleFactor* TcxCustomInnerListBox::GetScaleFactor()
{
  return FContainer ? FContainer->GetScaleFactor() : dxGetSystemScaleFactor();
}

void TcxCustomInnerListBox::UnlockScrollBars()
{
  if (FScrollBarsLockCount > 0 && --FScrollBarsLockCount == 0)
    SetExternalScrollBarsParameters();
}

void TcxCustomInnerListBox::DoAutoComplete(wchar_t& Key)
{
  if (!FAutoComplete)
    return;
  const DWORD ANow = GetTickCount();
  if (ANow - FPrevKeyPressTime >= FAutoCompleteDelay)
    FAutoCompleteFilter.clear();
  FPrevKeyPressTime = ANow;
  if (Key == VK_BACK) {
    if (!FAutoCompleteFilter.empty())
      FAutoCompleteFilter.pop_back();
  } else if (IS_HIGH_SURROGATE(Key)) {
    // The second half waits in the queue as a character message of its own.
    MSG ANext;
    FAutoCompleteFilter += Key;
    if (HandleAllocated() && PeekMessageW(&ANext, GetHandle(), WM_CHAR, WM_CHAR, PM_REMOVE))
      FAutoCompleteFilter += static_cast<wchar_t>(ANext.wParam);
    Key = 0;
  } else if (Key != VK_RETURN && Key != VK_ESCAPE) {
    FAutoCompleteFilter += Key;
  }
  if (FAutoCompleteFilter.empty()) {
    SelectSingle(0);
    Click();
    return;
  }
  const LRESULT AFound = HandleAllocated() ? SendMessageW(GetHandle(), LB_FINDSTRING, static_cast<WPARAM>(-1),
                                                          reinterpret_cast<LPARAM>(FAutoCompleteFilter.c_str()))
                                           : LB_ERR;
  if (AFound != LB_ERR) {
    SelectSingle(static_cast<int>(AFound));
    Click();
  }
  if (Key != VK_BACK && Key != VK_RETURN && Key != VK_ESCAPE)
    Key = 0;
}

void TcxCustomInnerListBox::LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues)
{
  if (HandleAllocated())
    Invalidate();
}

void TcxCustomInnerListBox::MouseLeave(vcl::TControl*)
{
  if (FContainer)
    FContainer->ShortRefreshContainer(true);
}

void TcxCustomInnerListBox::CreateParams(vcl::TCreateParams& AParams)
{
  inherited::CreateParams(AParams);
  if (FContainer && FContainer->IsNonClassicScrollBarMode())
    AParams.Style |= LBS_DISABLENOSCROLL;
}

void TcxCustomInnerListBox::CreateWnd()
{
  inherited::CreateWnd();
  if (FContainer) {
    FContainer->ClearSavedChildControlRegions();
    FContainer->Realign();
  }
}

void TcxCustomInnerListBox::DestroyWnd()
{
  FIsRedrawLocked = false;
  inherited::DestroyWnd();
}

bool TcxCustomInnerListBox::ChangesNativeScrollBars(const rtl::TMessage& AMessage) const
{
  switch (AMessage.Msg) {
    case WM_SETREDRAW:
      return AMessage.WParam != 0;
    case WM_NCCALCSIZE:
      return !FScrollBarsCalculating;
    case WM_WINDOWPOSCHANGED:
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
    case LB_SETCURSEL:
    case LB_SETHORIZONTALEXTENT:
    case LB_SETTOPINDEX:
    case LB_SETCARETINDEX:
    case WM_MOUSEWHEEL:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case CM_INNERLISTSCROLLSTATE1:
    case CM_INNERLISTSCROLLSTATE2:
      return true;
    default:
      return false;
  }
}

void TcxCustomInnerListBox::WndProc(rtl::TMessage& AMessage)
{
  if (FContainer && FContainer->InnerControlMenuHandler(AMessage))
    return;
  if (AMessage.Msg == WM_SETREDRAW)
    FIsRedrawLocked = AMessage.WParam == 0;
  rtl::TFreeWatch AWatch(this);
  inherited::WndProc(AMessage);
  if (AWatch.Freed())
    return;
  if (ChangesNativeScrollBars(AMessage))
    SetExternalScrollBarsParameters();
  if ((AMessage.Msg == WM_HSCROLL || AMessage.Msg == WM_VSCROLL) && FContainer)
    FContainer->ShowScrollUI(FContainer, true);
  if (AMessage.Msg == WM_WINDOWPOSCHANGED && AreBothOwnBarsVisible() && HandleAllocated()) {
    const TRect AGrip = GetSizeGripRect();
    vcl::TOwnedRegion ARegion(CreateRectRgnIndirect(&AGrip));
    SendMessageW(GetHandle(), WM_NCPAINT, reinterpret_cast<WPARAM>(ARegion.Get()), 0);
  }
}

void TcxCustomInnerListBox::KeyDown(WORD& AKey, vcl::TShiftState AShift)
{
  if (FContainer)
    FContainer->KeyDown(AKey, AShift);
  if (AKey != 0)
    inherited::KeyDown(AKey, AShift);
}

void TcxCustomInnerListBox::KeyUp(WORD& AKey, vcl::TShiftState AShift)
{
  if (AKey == VK_TAB)
    AKey = 0;
  if (FContainer)
    FContainer->KeyUp(AKey, AShift);
  if (AKey != 0)
    inherited::KeyUp(AKey, AShift);
}

void TcxCustomInnerListBox::KeyPress(wchar_t& AKey)
{
  if (AKey == L'\t')
    AKey = 0;
  if (FContainer && AKey != 0)
    FContainer->KeyPress(AKey);
  if (AKey == L'\r')
    AKey = 0;
  if (AKey == 0)
    return;
  // The list box's own OnKeyPress, then type-ahead; the framework's own
  // key-press step is not used.
  if (GetOnKeyPress())
    GetOnKeyPress()(this, AKey);
  if (AKey != 0)
    DoAutoComplete(AKey);
}

void TcxCustomInnerListBox::MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  inherited::MouseDown(AButton, AShift, X, Y);
  if (!FContainer)
    return;
  FContainer->FInnerControlMouseDown = true;
  try {
    FContainer->MouseDown(AButton, AShift, X + GetLeft(), Y + GetTop());
  } catch (...) {
    FContainer->FInnerControlMouseDown = false;
    throw;
  }
  FContainer->FInnerControlMouseDown = false;
}

void TcxCustomInnerListBox::MouseMove(vcl::TShiftState AShift, int X, int Y)
{
  inherited::MouseMove(AShift, X, Y);
  if (FContainer)
    FContainer->MouseMove(AShift, X + GetLeft(), Y + GetTop());
}

void TcxCustomInnerListBox::MouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  inherited::MouseUp(AButton, AShift, X, Y);
  if (FContainer)
    FContainer->MouseUp(AButton, AShift, X + GetLeft(), Y + GetTop());
}

void TcxCustomInnerListBox::Click()
{
  inherited::Click();
  if (HandleAllocated() && FVScrollBar)
    FVScrollBar->SetPosition(GetTopIndex());
  if (FContainer) {
    FContainer->Click();
    FContainer->ShowScrollUI(FContainer, true);
  }
}

void TcxCustomInnerListBox::DblClick()
{
  inherited::DblClick();
  if (FContainer)
    FContainer->DblClick();
}

bool TcxCustomInnerListBox::DoMouseWheel(vcl::TShiftState AShift, int AWheelDelta, TPoint AMousePos)
{
  return (FContainer && FContainer->DoMouseWheel(AShift, AWheelDelta, AMousePos)) ||
         inherited::DoMouseWheel(AShift, AWheelDelta, AMousePos);
}

void TcxCustomInnerListBox::DragOver(rtl::TObject* ASource, int X, int Y, vcl::TDragState AState, bool& AAccept)
{
  if (FContainer) {
    FContainer->DragOver(ASource, X + GetLeft(), Y + GetTop(), AState, AAccept);
    if (AAccept)
      return;
  }
  inherited::DragOver(ASource, X, Y, AState, AAccept);
}

void TcxCustomInnerListBox::DragDrop(rtl::TObject* ASource, int X, int Y)
{
  if (FContainer)
    FContainer->DragDrop(ASource, X + GetLeft(), Y + GetTop());
  else
    inherited::DragDrop(ASource, X, Y);
}

vcl::TPopupMenu* TcxCustomInnerListBox::GetPopupMenu()
{
  return FContainer ? FContainer->GetPopupMenu() : inherited::GetPopupMenu();
}

void TcxCustomInnerListBox::Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation)
{
  inherited::Notification(AComponent, AOperation);
  if (AOperation != rtl::TOperation::opRemove)
    return;
  if (AComponent == FHScrollBar)
    FHScrollBar = nullptr;
  if (AComponent == FVScrollBar)
    FVScrollBar = nullptr;
}

void TcxCustomInnerListBox::HandleWMGetDlgCode(rtl::TMessage& AMessage)
{
  rtl::InheritedMessage(this, AMessage);
  AMessage.Result |= DLGC_WANTCHARS;
  if (!IsKeyDown(VK_CONTROL))
    AMessage.Result |= DLGC_WANTARROWS;
}

void TcxCustomInnerListBox::HandleWMSetFocus(rtl::TMessage& AMessage)
{
  rtl::InheritedMessage(this, AMessage);
  if (FContainer && !FContainer->IsDestroying() && !GetComponentState().Contains(rtl::TComponentStateFlag::csDestroying) &&
      !(FContainer->HandleAllocated() && reinterpret_cast<HWND>(AMessage.WParam) == FContainer->GetHandle()))
    FContainer->FocusChanged();
}

void TcxCustomInnerListBox::HandleWMKillFocus(rtl::TMessage& AMessage)
{
  rtl::InheritedMessage(this, AMessage);
  if (FContainer && !FContainer->IsDestroying() && !GetComponentState().Contains(rtl::TComponentStateFlag::csDestroying))
    FContainer->FocusChanged();
}

void TcxCustomInnerListBox::HandleWMNCPaint(rtl::TMessage& AMessage)
{
  rtl::InheritedMessage(this, AMessage);
  FillSizeGrip();
}

void TcxCustomInnerListBox::HandleWMLButtonDown(rtl::TMessage& AMessage)
{
  if (!FContainer || FContainer->GetDragMode() != vcl::TDragMode::dmAutomatic || FContainer->IsDesigning()) {
    rtl::InheritedMessage(this, AMessage);
    return;
  }
  // The container drags; the list box's own drag start stays out of it.
  const vcl::TDragMode APrevDragMode = GetDragMode();
  SetDragMode(vcl::TDragMode::dmManual);
  rtl::Finally ARestore([this, APrevDragMode] { SetDragMode(APrevDragMode); });
  const vcl::TShiftState AShift = vcl::KeysToShiftState(static_cast<WORD>(AMessage.WParam));
  const TPoint P{GET_X_LPARAM(AMessage.LParam), GET_Y_LPARAM(AMessage.LParam)};
  const int AItem = ItemAtPos(P, true);
  const bool AShiftOnly = AShift.Contains(vcl::TShiftStateItem::ssShift) && !AShift.Contains(vcl::TShiftStateItem::ssCtrl);
  if (GetMultiSelect() && AItem >= 0 && GetSelected(AItem) && !AShiftOnly) {
    FContainer->BeginDrag(false);
    return;
  }
  rtl::InheritedMessage(this, AMessage);
  if (!(GetMultiSelect() && (AShift.Contains(vcl::TShiftStateItem::ssCtrl) || AShift.Contains(vcl::TShiftStateItem::ssShift))))
    FContainer->BeginDrag(false);
}

void TcxCustomInnerListBox::DoScroll(TScrollBarKind AKind, TScrollCode AScrollCode, int& AScrollPos)
{
  TcxScrollBar* ABar = AKind == TScrollBarKind::sbHorizontal ? FHScrollBar : FVScrollBar;
  if (!ABar || !ABar->HandleAllocated())
    return;
  if (AKind == TScrollBarKind::sbVertical &&
      (AScrollCode == TScrollCode::scLineUp || AScrollCode == TScrollCode::scLineDown ||
       AScrollCode == TScrollCode::scPosition || AScrollCode == TScrollCode::scTrack)) {
    SetTopIndex(AScrollPos);
    AScrollPos = GetScrollPos(GetHandle(), SB_VERT);
    return;
  }
  AScrollPos = ScrollAndGetPos(AKind, AScrollCode, AScrollPos);
}

void TcxCustomInnerListBox::HScrollHandler(rtl::TObject*, TScrollCode AScrollCode, int& AScrollPos)
{
  DoScroll(TScrollBarKind::sbHorizontal, AScrollCode, AScrollPos);
}

void TcxCustomInnerListBox::VScrollHandler(rtl::TObject*, TScrollCode AScrollCode, int& AScrollPos)
{
  DoScroll(TScrollBarKind::sbVertical, AScrollCode, AScrollPos);
}

int TcxCustomInnerListBox::ScrollAndGetPos(TScrollBarKind AKind, TScrollCode AScrollCode, int APos)
{
  const bool AHorizontal = AKind == TScrollBarKind::sbHorizontal;
  TcxScrollBar* ABar = AHorizontal ? FHScrollBar : FVScrollBar;
  CallWindowProcW(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(GetHandle(), GWLP_WNDPROC)), GetHandle(),
                  AHorizontal ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(static_cast<WORD>(AScrollCode), APos),
                  reinterpret_cast<LPARAM>(ABar->GetHandle()));
  return GetScrollPos(GetHandle(), AHorizontal ? SB_HORZ : SB_VERT);
}

void TcxCustomInnerListBox::UpdateOwnScrollBar(TcxScrollBar* ABar, LONG AObjectId)
{
  if (!ABar)
    return;
  SCROLLBARINFO AInfo;
  const bool AUsable = cxGetScaledScrollBarInfo(GetHandle(), AObjectId, AInfo, UseRightToLeftAlignment(),
                                                GetScaleFactor()) &&
                       (AInfo.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) == 0;
  TRect R = AInfo.rcScrollBar;
  if (AUsable) {
    R = GetParent()->ScreenToClient(R);
    const TRect AParentClient = GetParent()->GetClientRect();
    TRect AIntersection;
    if (!IntersectRect(&AIntersection, &R, &AParentClient)) {
      ABar->SetScrollParams(0, 0, 0, 0, false);
      ABar->SetVisible(false);
      return;
    }
  } else {
    ABar->SetScrollParams(0, 0, 0, 0, false);
    ABar->SetVisible(false);
    return;
  }
  ABar->SetEnabled((AInfo.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0 && GetParent()->GetEnabled());
  LockScrollBars();
  try {
    ABar->SetParent(GetParent());
    if (!dxIsPerMonitorV2Aware())
      TcxControlHelper::ChangeScaleFactor(ABar, dxGetSystemScaleFactor());
    ABar->SetBoundsRect(R);
  } catch (...) {
    --FScrollBarsLockCount;
    throw;
  }
  --FScrollBarsLockCount;
  // A container that draws scroll bars itself keeps these hidden.
  if (FContainer && FContainer->NeedsScrollBars()) {
    ABar->SetVisible(false);
  } else {
    ABar->BringToFront();
    ABar->SetVisible(true);
  }
  if (ABar->GetVisible()) {
    SCROLLINFO AScrollInfo{};
    AScrollInfo.cbSize = sizeof(AScrollInfo);
    AScrollInfo.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    GetScrollInfo(GetHandle(), AObjectId == OBJID_HSCROLL ? SB_HORZ : SB_VERT, &AScrollInfo);
    const int APage = std::min(static_cast<int>(AScrollInfo.nPage), AScrollInfo.nMax);
    ABar->SetScrollParams(AScrollInfo.nMin, AScrollInfo.nMax, AScrollInfo.nPos, std::max(APage, 0), true);
  }
}

void TcxCustomInnerListBox::FillSizeGrip()
{
  if (FContainer && FContainer->IsHScrollBarVisible() && FContainer->IsVScrollBarVisible())
    cxFillContainerRect(FContainer, cxGetInnerControlSizeGripRect(this));
}

void TcxCustomInnerListBox::SelectSingle(int AIndex)
{
  if (GetCount() == 0)
    return;
  if (GetMultiSelect()) {
    ClearSelection();
    SetSelected(AIndex, true);
  }
  SetItemIndex(AIndex);
}
