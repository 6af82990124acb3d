// The tab control's controller: mouse, keys, wheel, accelerators, the
// auto-repeat of the scroll arrows, hints and the go dialog.
#include "pagecontrol/cxPC.h"

#include <cstdlib>

#include "core/cxClasses.h"
#include "pagecontrol/cxPCGoDialog.h"
#include "platform/vcl/Controls.h"

namespace {

using vcl::TShiftStateItem;

bool HasShift(vcl::TShiftState AShift, TShiftStateItem AItem)
{
  return AShift.Contains(AItem);
}

// Whether the caption marks AKey as its accelerator ("&F" for F; "&&" is a
// plain ampersand).
bool IsTabAccel(wchar_t AKey, const rtl::String& ACaption)
{
  for (std::size_t i = 0; i + 1 < ACaption.size(); ++i) {
    if (ACaption[i] != L'&')
      continue;
    if (ACaption[i + 1] == L'&') {
      ++i;
      continue;
    }
    return CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(ACaption[i + 1])))) ==
           CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(AKey))));
  }
  return false;
}

}  // namespace

// ---------------------------------------------------------------------------
// TcxCustomTabControlHintHelper

void TcxCustomTabControlHintHelper::Create(TcxCustomTabControlController* AController)
{
  inherited::Create();
  FController = AController;
}

vcl::TWinControl* TcxCustomTabControlHintHelper::GetOwnerWinControl()
{
  return FController->ControlWindow();
}

// ---------------------------------------------------------------------------
// TcxCustomTabControlController: life

void TcxCustomTabControlController::Create(IcxTabControl* AIControl)
{
  inherited::Create();
  FIControl = AIControl;
  FTimer = nullptr;
  FMouseDownTabVisibleIndex = -1;
  FGoDialog = nullptr;
  FIsGoDialogShowing = false;
  FGoDialogJustClosed = false;
  if (!FIControl->IsDesigning()) {
    auto* dialog = rtl::New<TcxPCGoDialog>(FIControl);
    dialog->SetOnClick(TcxPCGoDialogClickEvent::Bind<&TcxCustomTabControlController::GoDialogClickHandler>(this));
    FGoDialog = dialog;
  }
  FHintHelper = HintHelperClass().Create(this);
}

void TcxCustomTabControlController::Destroy()
{
  rtl::FreeAndNil(FTimer);
  rtl::FreeAndNil(FHintHelper);
  rtl::FreeAndNil(FGoDialog);
  inherited::Destroy();
}

rtl::ClassOf<TcxCustomTabControlHintHelper> TcxCustomTabControlController::HintHelperClass() const
{
  return rtl::ClassOf<TcxCustomTabControlHintHelper>::Of<TcxCustomTabControlHintHelper>();
}

// ---------------------------------------------------------------------------
// Coordinates

TPoint TcxCustomTabControlController::ClientToScreenPoint(const TPoint& P)
{
  vcl::TWinControl* control = ControlWindow();
  return control ? control->ClientToScreen(P) : P;
}

TPoint TcxCustomTabControlController::ScreenToClientPoint(const TPoint& P)
{
  vcl::TWinControl* control = ControlWindow();
  return control ? control->ScreenToClient(P) : P;
}

rtl::ClassOf<TcxTabControlDragAndDropObject> TcxCustomTabControlController::DragObjectClass() const
{
  return rtl::ClassOf<TcxTabControlDragAndDropObject>::Of<TcxTabControlDragAndDropObject>();
}

bool TcxCustomTabControlController::StartDrag(const TPoint& P)
{
  TcxCustomTabControlViewInfo* viewInfo = ControlViewInfo();
  if (!FIControl->GetProperties()->GetAllowTabDragDrop() || !viewInfo->IsTabsVisible())
    return false;
  const TcxPCHitInfo hit = viewInfo->CalculateHitTest(P);
  if (hit.Tab == -1 || hit.TabButton || !viewInfo->GetTabViewInfo(hit.Tab)->CanDrag())
    return false;
  TcxTabControlDragAndDropObject* dragObject = FIControl->GetDragObject();
  if (!dragObject)
    return false;
  dragObject->Init(hit.Tab, P);
  return true;
}

TPoint TcxCustomTabControlController::MouseClientPos()
{
  vcl::TWinControl* control = ControlWindow();
  if (!control || !control->HandleAllocated())
    return TPoint{-1, -1};
  POINT P;
  GetCursorPos(&P);
  return ScreenToClientPoint(TPoint{P.x, P.y});
}

// ---------------------------------------------------------------------------
// Selection

bool TcxCustomTabControlController::IsPressable()
{
  TcxPCCustomPainter* painter = FIControl->GetPCPainter();
  return painter && painter->IsTabPressable();
}

void TcxCustomTabControlController::SelectTab(int AVisibleIndex, vcl::TShiftState AShift, bool AByMouse)
{
  TcxCustomTabControlViewInfo* viewInfo = ControlViewInfo();
  if (!viewInfo->IsTabAccessible(AVisibleIndex))
    return;
  // The change events may free the control and this controller with it.
  const rtl::TFreeWatch watch(this);
  TcxTab* tab = viewInfo->GetTabViewInfo(AVisibleIndex)->GetTab();
  if (!AByMouse || IsPressable())
    viewInfo->GetTabViewInfo(AVisibleIndex)->Select();
  if (watch.Freed())
    return;
  // The selection may have rebuilt the layout: the tab is looked up again.
  viewInfo = ControlViewInfo();
  for (int i = 0; i < viewInfo->TabsViewInfoCount(); ++i) {
    TcxTabViewInfo* tabViewInfo = viewInfo->GetTabViewInfo(i);
    if (tabViewInfo->GetTab() == tab) {
      viewInfo->SetFocusedTabVisibleIndex(i);
      tabViewInfo->Click(AShift);
      return;
    }
  }
}

void TcxCustomTabControlController::TabMouseDown(int AVisibleIndex, vcl::TShiftState)
{
  TcxCustomTabControlViewInfo* viewInfo = ControlViewInfo();
  if (!viewInfo->IsTabAccessible(AVisibleIndex))
    return;
  FMouseDownTabVisibleIndex = AVisibleIndex;
  if (IsPressable() && !FIControl->IsDesigning())
    viewInfo->SetPressedTabVisibleIndex(AVisibleIndex);
  else
    viewInfo->GetTabViewInfo(AVisibleIndex)->Select();
}

void TcxCustomTabControlController::TabMouseUp(int AVisibleIndex, vcl::TShiftState AShift)
{
  TcxCustomTabControlViewInfo* viewInfo = ControlViewInfo();
  if (AVisibleIndex == -1 || AVisibleIndex != FMouseDownTabVisibleIndex ||
      !viewInfo->IsTabAccessible(AVisibleIndex)) {
    FMouseDownTabVisibleIndex = -1;
    return;
  }
  FMouseDownTabVisibleIndex = -1;
  if (IsPressable() && !FIControl->IsDesigning())
    viewInfo->SetPressedTabVisibleIndex(-1);
  SelectTab(AVisibleIndex, AShift, true);
}

// ---------------------------------------------------------------------------
// Mouse

void TcxCustomTabControlController::MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  FHintHelper->MouseDown();
  FMousePos = TPoint{X, Y};
  const bool goDialogJustClosed = FGoDialogJustClosed;
  FGoDialogJustClosed = false;
  TcxCustomTabControlViewInfo* viewInfo = ControlViewInfo();
  if (!FIControl->IsDesigning() && !viewInfo->IsTabsVisible())
    return;
  const TcxPCHitInfo hit = viewInfo->CalculateHitTest(TPoint{X, Y});
  if (AButton != vcl::TMouseButton::mbLeft) {
    if (AButton == vcl::TMouseButton::mbMiddle && FIControl->GetProperties()->GetCloseTabWithMiddleClick() &&
        !FIControl->IsDesigning() && hit.Tab != -1 && !hit.TabButton)
      FIControl->GetProperties()->CloseTab(viewInfo->GetTabViewInfo(hit.Tab)->GetIndex());
    return;
  }
  if (hit.HeaderButton != -1) {
    // The press that closed the list must not open it again.
    const TcxPCHeaderButton& button = viewInfo->GetNavigatorButtonInfo(hit.HeaderButton);
    const bool isGoDialog = !button.Button && button.Kind == TcxPCNavigatorButton::nbGoDialog;
    if (!(goDialogJustClosed && isGoDialog))
      HeaderButtonMouseDown(hit.HeaderButton);
    return;
  }
  if (hit.TabButton) {
    viewInfo->SetPressedTabButton(hit.TabButton->GetState() == TcxPCNavigatorButtonState::nbsDisabled ? nullptr
                                                                                                      : hit.TabButton);
    return;
  }
  TabMouseDown(hit.Tab, AShift);
}

void TcxCustomTabControlController::HeaderButtonMouseDown(int AIndex)
{
  TcxCustomTabControlViewInfo* viewInfo = ControlViewInfo();
  const TcxPCHeaderButton button = viewInfo->GetNavigatorButtonInfo(AIndex);
  if (button.State == TcxPCNavigatorButtonState::nbsDisabled)
    return;
  viewInfo->SetPressedNavigatorButton(AIndex);
  if (button.Button)
    return;
  if (button.Kind == TcxPCNavigatorButton::nbGoDialog) {
    PopupGoDialog();
    return;
  }
  if (!IsArrow(button.Kind))
    return;
  ScrollOneTab(button.Kind, true);
  const int pressed = ControlViewInfo()->GetPressedNavigatorButton();
  if (pressed != -1 && ControlViewInfo()->GetNavigatorButtonInfo(pressed).Kind == button.Kind)
    StartRepeat();
}

void TcxCustomTabControlController::MouseMove(vcl::TShiftState, int X, int Y)
{
  TcxCustomTabControlViewInfo* viewInfo = ControlViewInfo();
  if (!viewInfo->IsTabsVisible() || FIsGoDialogShowing)
    return;
  const TPoint P{X, Y};
  FMousePos = P;
  const int tab = viewInfo->CalculateHitTest(P).Tab;
  if (tab != viewInfo->GetPressedTabVisibleIndex())
    viewInfo->SetPressedTabVisibleIndex(-1);
  if (IsPressable() && tab != -1 && tab == FMouseDownTabVisibleIndex)
    viewInfo->SetPressedTabVisibleIndex(tab);
  const int oldHot = viewInfo->GetHotTrackNavigatorButton();
  viewInfo->UpdateHotTracking(P);
  // Back onto an arrow held down: it scrolls again and repeats.
  const int hot = viewInfo->GetHotTrackNavigatorButton();
  if (!IsRepeating() && hot != oldHot && hot != -1 && hot == viewInfo->GetPressedNavigatorButton() &&
      !viewInfo->GetNavigatorButtonInfo(hot).Button && IsArrow(viewInfo->GetNavigatorButtonInfo(hot).Kind)) {
    ScrollOneTab(viewInfo->GetNavigatorButtonInfo(hot).Kind, true);
    StartRepeat();
  }
  if (!FIControl->IsDesigning())
    UpdateHint();
}

void TcxCustomTabControlController::MouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  TcxCustomTabControlViewInfo* viewInfo = ControlViewInfo();
  if (AButton != vcl::TMouseButton::mbLeft || !viewInfo->IsTabsVisible() || FIsGoDialogShowing)
    return;
  StopRepeat();
  const TcxPCHitInfo hit = viewInfo->CalculateHitTest(TPoint{X, Y});
  const int pressedHeaderButton = viewInfo->GetPressedNavigatorButton();
  TcxPCCustomTabButtonViewInfo* pressedTabButton = viewInfo->GetPressedTabButton();
  viewInfo->SetPressedNavigatorButton(-1);
  viewInfo->SetPressedTabButton(nullptr);
  const rtl::TFreeWatch watch(this);
  if (pressedTabButton && hit.TabButton == pressedTabButton) {
    // The click may close the tab and so free the button.
    pressedTabButton->Click();
  } else if (pressedHeaderButton != -1 && hit.HeaderButton == pressedHeaderButton) {
    const TcxPCHeaderButton& button = viewInfo->GetNavigatorButtonInfo(pressedHeaderButton);
    if (button.Button)
      button.Button->Click();
    else if (button.Kind == TcxPCNavigatorButton::nbClose)
      FIControl->GetProperties()->CloseActiveTab();
  } else if (pressedHeaderButton == -1 && !pressedTabButton) {
    TabMouseUp(hit.Tab, AShift);
  }
  if (!watch.Freed())
    ControlViewInfo()->UpdateHotTracking(TPoint{X, Y});
}

void TcxCustomTabControlController::MouseLeave()
{
  FHintObject = THintElement{};
  if (!FIsGoDialogShowing)
    ControlViewInfo()->ResetHotTracking();
  FHintHelper->CancelHint();
}

// ---------------------------------------------------------------------------
// Scroll arrows

bool TcxCustomTabControlController::IsArrow(TcxPCNavigatorButton AKind) const
{
  return AKind == TcxPCNavigatorButton::nbTopLeft || AKind == TcxPCNavigatorButton::nbBottomRight;
}

int TcxCustomTabControlController::HeaderButtonIndexOf(TcxPCNavigatorButton AKind)
{
  TcxCustomTabControlViewInfo* viewInfo = ControlViewInfo();
  for (int i = 0; i < viewInfo->NavigatorButtonCount(); ++i)
    if (!viewInfo->GetNavigatorButtonInfo(i).Button && viewInfo->GetNavigatorButtonInfo(i).Kind == AKind)
      return i;
  return -1;
}

void TcxCustomTabControlController::ScrollOneTab(TcxPCNavigatorButton AType, bool APressed)
{
  if (!ControlViewInfo()->ScrollByNavigatorButton(AType))
    return;
  // The new layout makes new header buttons.
  FIControl->LayoutChanged();
  if (!APressed)
    return;
  TcxCustomTabControlViewInfo* viewInfo = ControlViewInfo();
  const int index = HeaderButtonIndexOf(AType);
  if (index != -1 && viewInfo->GetNavigatorButtonInfo(index).State != TcxPCNavigatorButtonState::nbsDisabled)
    viewInfo->SetPressedNavigatorButton(index);
  else
    viewInfo->SetPressedNavigatorButton(-1);
  // The arrow shows pressed while the mouse stays on it.
  viewInfo->UpdateHotTracking(FMousePos);
}

bool TcxCustomTabControlController::IsRepeating() const
{
  return FTimer && FTimer->GetEnabled();
}

void TcxCustomTabControlController::StartRepeat()
{
  if (!FTimer) {
    FTimer = rtl::New<TcxTimer>(nullptr);
    FTimer->SetEnabled(false);
    FTimer->SetOnTimer(rtl::TNotifyEvent::Bind<&TcxCustomTabControlController::RepeatTimerHandler>(this));
  }
  FTimer->SetInterval(cxPCArrowFirstRepeatInterval);
  FTimer->SetEnabled(true);
}

void TcxCustomTabControlController::StopRepeat()
{
  if (FTimer)
    FTimer->SetEnabled(false);
}

void TcxCustomTabControlController::RepeatTimerHandler(rtl::TObject*)
{
  FTimer->SetInterval(cxPCArrowRepeatInterval);
  TcxCustomTabControlViewInfo* viewInfo = ControlViewInfo();
  // The arrow repeats only while the mouse holds it down over it.
  const int pressed = viewInfo->GetPressedNavigatorButton();
  if (pressed == -1 || viewInfo->GetHotTrackNavigatorButton() != pressed ||
      viewInfo->GetNavigatorButtonInfo(pressed).Button || !IsArrow(viewInfo->GetNavigatorButtonInfo(pressed).Kind)) {
    StopRepeat();
    return;
  }
  ScrollOneTab(viewInfo->GetNavigatorButtonInfo(pressed).Kind, true);
  // At the end of the row the arrow is disabled and no longer pressed.
  if (ControlViewInfo()->GetPressedNavigatorButton() == -1)
    StopRepeat();
}

void TcxCustomTabControlController::ScrollTabs(int ADelta)
{
  if (FIControl->GetProperties()->GetMultiLine() || HeaderButtonIndexOf(TcxPCNavigatorButton::nbTopLeft) == -1 ||
      HeaderButtonIndexOf(TcxPCNavigatorButton::nbBottomRight) == -1)
    return;
  const TcxPCNavigatorButton type = ADelta >= 0 ? TcxPCNavigatorButton::nbBottomRight : TcxPCNavigatorButton::nbTopLeft;
  for (int i = 0; i < std::abs(ADelta); ++i)
    ScrollOneTab(type, false);
}

bool TcxCustomTabControlController::WheelScroll(const TPoint& P, int ADelta)
{
  TcxCustomTabControlViewInfo* viewInfo = ControlViewInfo();
  const int first = viewInfo->GetFirstTabVisibleIndex();
  if (FIControl->GetProperties()->GetMultiLine() || first < 0 || first >= viewInfo->TabsViewInfoCount())
    return false;
  // Only over the tab strip, across the row of its first tab.
  const TRect R = viewInfo->GetTabViewInfo(first)->GetVisibleRect();
  const bool onStrip = viewInfo->IsTopOrBottom() ? P.y >= R.top && P.y < R.bottom : P.x >= R.left && P.x < R.right;
  if (!onStrip)
    return false;
  ScrollTabs(ADelta);
  return ControlViewInfo()->GetFirstTabVisibleIndex() != first;
}

bool TcxCustomTabControlController::WheelDown(vcl::TShiftState, const TPoint& P)
{
  return WheelScroll(P, 1);
}

bool TcxCustomTabControlController::WheelUp(vcl::TShiftState, const TPoint& P)
{
  return WheelScroll(P, -1);
}

// ---------------------------------------------------------------------------
// Keys

int TcxCustomTabControlController::FindNextReachable(int AFrom, bool AGoForward, bool AWrap, bool ASkipNewButton)
{
  TcxCustomTabControlViewInfo* viewInfo = ControlViewInfo();
  if (viewInfo->TabsViewInfoCount() < 2)
    return -1;
  int index = AFrom;
  for (int step = 0; step < viewInfo->TabsViewInfoCount(); ++step) {
    const int next = viewInfo->FindNextTab(index, AGoForward);
    if (next == -1)
      return -1;
    // Without wrapping the search ends at the row's end.
    if (!AWrap && AFrom != -1 && (AGoForward ? next <= AFrom : next >= AFrom))
      return -1;
    if (!ASkipNewButton || !viewInfo->GetTabViewInfo(next)->GetTab()->IsNewButton())
      return next;
    index = next;
  }
  return -1;
}

int TcxCustomTabControlController::GetKeyTarget(WORD AKey, vcl::TShiftState AShift)
{
  TcxCustomTabControlViewInfo* viewInfo = ControlViewInfo();
  const int count = viewInfo->TabsViewInfoCount();
  const bool reversed = viewInfo->IsReversedOrder();
  int start = viewInfo->GetTrackingTabVisibleIndex();
  if (start == -1)
    start = viewInfo->GetFocusedTabVisibleIndex();
  if (start == -1)
    start = viewInfo->GetMainTabVisibleIndex();
  const bool skipNewButton = FIControl->GetProperties()->GetActivateFocusedTab();
  switch (AKey) {
    case VK_TAB:
      if (!HasShift(AShift, TShiftStateItem::ssCtrl))
        return -1;
      return FindNextReachable(start, !HasShift(AShift, TShiftStateItem::ssShift), true, true);
    case VK_LEFT:
    case VK_RIGHT: {
      bool forward = AKey == VK_RIGHT;
      if (viewInfo->UseRightToLeftAlignment())
        forward = !forward;
      return FindNextReachable(start, forward != reversed, false, skipNewButton);
    }
    case VK_UP:
    case VK_DOWN:
      return FindNextReachable(start, (AKey == VK_DOWN) != reversed, false, skipNewButton);
    case VK_HOME:
    case VK_END: {
      // The first or last tab in visual order, else the nearest reachable.
      const bool toStart = (AKey == VK_HOME) != reversed;
      const int edge = toStart ? 0 : count - 1;
      if (count > 0 && viewInfo->IsTabAccessible(edge))
        return edge;
      return FindNextReachable(-1, toStart, false, false);
    }
    case VK_RETURN:
    case VK_SPACE: {
      if (viewInfo->GetTrackingTabVisibleIndex() != -1)
        return viewInfo->GetTrackingTabVisibleIndex();
      const int focused = viewInfo->GetFocusedTabVisibleIndex();
      if (focused != -1 && focused != viewInfo->GetMainTabVisibleIndex()) {
        viewInfo->SetFocusedTabVisibleIndex(-1);
        return focused;
      }
      return -1;
    }
    default:
      return -1;
  }
}

bool TcxCustomTabControlController::KeyDown(WORD AKey, vcl::TShiftState AShift)
{
  TcxCustomTabControlViewInfo* viewInfo = ControlViewInfo();
  const vcl::TShiftState alt{TShiftStateItem::ssAlt};
  const vcl::TShiftState shiftAlt{TShiftStateItem::ssShift, TShiftStateItem::ssAlt};
  if (!viewInfo->IsTabsVisible() || AShift == alt || AShift == shiftAlt)
    return false;
  const int target = GetKeyTarget(AKey, AShift);
  if (target == -1)
    return false;
  const bool moveOnly = AKey != VK_TAB && AKey != VK_RETURN && AKey != VK_SPACE;
  if (moveOnly && (IsPressable() || !FIControl->GetProperties()->GetActivateFocusedTab())) {
    if (IsPressable())
      viewInfo->SetTrackingTabVisibleIndex(target);
    else
      viewInfo->SetFocusedTabVisibleIndex(target);
    return true;
  }
  SelectTab(target, vcl::TShiftState{}, false);
  return true;
}

bool TcxCustomTabControlController::DialogChar(wchar_t AKey)
{
  TcxCustomTabControlViewInfo* viewInfo = ControlViewInfo();
  if (!viewInfo->IsTabsVisible())
    return false;
  for (int i = 0; i < viewInfo->TabsViewInfoCount(); ++i) {
    TcxTabViewInfo* tab = viewInfo->GetTabViewInfo(i);
    if (tab->GetShowAccelChar() && IsTabAccel(AKey, tab->GetCaption()) && viewInfo->IsTabAccessible(i)) {
      SelectTab(i, vcl::TShiftState{}, false);
      return true;
    }
  }
  return false;
}

void TcxCustomTabControlController::FocusChanged()
{
  if (FIControl->IsDestroying())
    return;
  TcxCustomTabControlViewInfo* viewInfo = ControlViewInfo();
  const int focused = viewInfo->GetFocusedTabVisibleIndex();
  if (focused >= viewInfo->GetFirstTabVisibleIndex() && focused <= viewInfo->GetLastTabVisibleIndex() &&
      focused != -1)
    viewInfo->TabChanged(focused, cxTabChangeFocused);
}

// ---------------------------------------------------------------------------
// Hints

void TcxCustomTabControlController::UpdateHint()
{
  TcxCustomTabControlViewInfo* viewInfo = ControlViewInfo();
  const TcxPCHitInfo hit = viewInfo->CalculateHitTest(MouseClientPos());
  THintElement element;
  if (hit.HeaderButton != -1)
    element.HeaderButton = hit.HeaderButton;
  else if (hit.TabButton)
    element.TabButton = hit.TabButton;
  else
    element.Tab = hit.Tab;
  if (element == FHintObject)
    return;
  FHintObject = element;
  FHintHelper->ResetLastHintElement();
  rtl::String hint;
  TRect bounds{};
  rtl::TObject* hinted = nullptr;
  if (element.HeaderButton != -1) {
    const TcxPCHeaderButton& button = viewInfo->GetNavigatorButtonInfo(element.HeaderButton);
    if (!button.Button)
      hint = FIControl->GetProperties()->GetNavigatorButtonHint(button.Kind);
    else if (FIControl->GetProperties()->GetShowButtonHints())
      hint = button.Button->GetHint();
    bounds = button.Bounds;
    hinted = viewInfo;
  } else if (element.TabButton) {
    hint = element.TabButton->GetHint();
    bounds = element.TabButton->GetBounds();
    hinted = element.TabButton;
  } else if (element.Tab != -1) {
    TcxTabViewInfo* tab = viewInfo->GetTabViewInfo(element.Tab);
    hint = FIControl->GetProperties()->GetTabHint(tab->GetTab());
    bounds = tab->GetVisibleRect();
    hinted = tab;
  }
  if (hint.empty()) {
    FHintHelper->HideHint();
    return;
  }
  FHintHelper->ShowHint(bounds, bounds, hint, false, hinted);
}

// ---------------------------------------------------------------------------
// The go dialog

void TcxCustomTabControlController::PopupGoDialog()
{
  TcxCustomTabControlViewInfo* viewInfo = ControlViewInfo();
  const int index = HeaderButtonIndexOf(TcxPCNavigatorButton::nbGoDialog);
  if (!FGoDialog || index == -1)
    return;
  const TRect bounds = viewInfo->GetNavigatorButtonInfo(index).Bounds;
  FHintHelper->CancelHint();
  FIsGoDialogShowing = true;
  const rtl::TFreeWatch watch(this);
  const TPoint P = ClientToScreenPoint(TPoint{bounds.left, bounds.bottom});
  FGoDialog->Popup(P.x, P.y);
  // A chosen tab closed the dialog already.
  if (!watch.Freed() && FIsGoDialogShowing)
    CloseGoDialog(-1);
}

void TcxCustomTabControlController::GoDialogClickHandler(int ATabVisibleIndex)
{
  GoDialogTabClicked(ATabVisibleIndex);
}

void TcxCustomTabControlController::GoDialogTabClicked(int ATabVisibleIndex)
{
  CloseGoDialog(ATabVisibleIndex);
}

void TcxCustomTabControlController::CloseGoDialog(int ATabVisibleIndex)
{
  vcl::TWinControl* control = ControlWindow();
  MSG message;
  // A press on the control closed the list: it must not open it again.
  FGoDialogJustClosed =
      control && control->HandleAllocated() &&
      (PeekMessageW(&message, control->GetHandle(), WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE) ||
       PeekMessageW(&message, control->GetHandle(), WM_LBUTTONDBLCLK, WM_LBUTTONDBLCLK, PM_NOREMOVE));
  FIsGoDialogShowing = false;
  const rtl::TFreeWatch watch(this);
  if (ATabVisibleIndex != -1)
    SelectTab(ATabVisibleIndex, vcl::TShiftState{}, false);
  if (watch.Freed())
    return;
  TcxCustomTabControlViewInfo* viewInfo = ControlViewInfo();
  viewInfo->SetPressedNavigatorButton(-1);
  viewInfo->SetHotTrackNavigatorButton(-1);
  viewInfo->UpdateHotTracking();
}
