#include "simplecontrols/cxTreeView.h"

#include <algorithm>

#include "platform/rtl/SysUtils.h"
#include "graphics/cxGraphics.h"
#include "lookandfeel/cxLookAndFeels.h"

namespace {

bool IsControlHeld()
{
  return GetKeyState(VK_CONTROL) < 0;
}

}  // namespace

// ---------------------------------------------------------------------------
// TcxBaseInnerTreeView

void TcxBaseInnerTreeView::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FCanvas = rtl::New<TcxCanvas>(GetCanvas());
}

void TcxBaseInnerTreeView::Destroy()
{
  inherited::Destroy();
  rtl::FreeAndNil(FCanvas);
}

TcxContainer* __stdcall TcxBaseInnerTreeView::GetControlContainer()
{
  return FContainer;
}

void TcxBaseInnerTreeView::DefaultHandler(rtl::TMessage& AMessage)
{
  if (!FContainer || !FContainer->InnerControlDefaultHandler(AMessage))
    inherited::DefaultHandler(AMessage);
}

bool TcxBaseInnerTreeView::CanFocus()
{
  return FContainer ? FContainer->CanFocus() : inherited::CanFocus();
}

void TcxBaseInnerTreeView::UpdateContainerScrollBars()
{
  if (FContainer && !FContainer->IsDestroying())
    FContainer->SetScrollBarsParameters();
}

bool TcxBaseInnerTreeView::UpdatesScrollBarsAfter(UINT AMsg) const
{
  switch (AMsg) {
    case WM_WINDOWPOSCHANGED:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
    case TVM_EXPAND:
    case TVM_SELECTITEM:
    case TVM_ENSUREVISIBLE:
    case TVM_INSERTITEMW:
    case TVM_DELETEITEM:
    case rtl::CM_WININICHANGE:
      return true;
    default:
      return false;
  }
}

void TcxBaseInnerTreeView::WndProc(rtl::TMessage& AMessage)
{
  if (FContainer) {
    if (FContainer->InnerControlMenuHandler(AMessage) || FContainer->InnerTreeViewWndProcHook(AMessage))
      return;
    if (AMessage.Msg == WM_LBUTTONDOWN || AMessage.Msg == WM_LBUTTONDBLCLK) {
      if (FContainer->GetDragMode() == vcl::TDragMode::dmAutomatic &&
          FContainer->GetDragKind() == vcl::TDragKind::dkDock && !FContainer->IsDesigning()) {
        const TPoint P{static_cast<short>(LOWORD(AMessage.LParam)) + GetLeft(),
                       static_cast<short>(HIWORD(AMessage.LParam)) + GetTop()};
        FContainer->BeginAutoDrag(P);
        return;
      }
    }
  }
  if (AMessage.Msg == TVM_HITTEST && !GetEnabled()) {
    AMessage.Result = 0;
    return;
  }
  if (AMessage.Msg == WM_GESTURENOTIFY) {
    AMessage.Result = DefWindowProcW(GetHandle(), AMessage.Msg, AMessage.WParam, AMessage.LParam);
    return;
  }
  rtl::TFreeWatch AWatch(this);
  inherited::WndProc(AMessage);
  if (AWatch.Freed() || !FContainer)
    return;
  if (UpdatesScrollBarsAfter(AMessage.Msg) ||
      (AMessage.Msg == WM_FONTCHANGE && !FContainer->FScrollBarsCalculating))
    UpdateContainerScrollBars();
}

void TcxBaseInnerTreeView::Click()
{
  inherited::Click();
  if (FContainer)
    FContainer->Click();
}

void TcxBaseInnerTreeView::DblClick()
{
  inherited::DblClick();
  if (FContainer)
    FContainer->DblClick();
}

void TcxBaseInnerTreeView::KeyDown(WORD& AKey, vcl::TShiftState AShift)
{
  if (FContainer)
    FContainer->KeyDown(AKey, AShift);
  if (AKey != 0)
    inherited::KeyDown(AKey, AShift);
}

void TcxBaseInnerTreeView::KeyPress(wchar_t& AKey)
{
  // Tab moves the focus, and Enter belongs to the container: neither
  // reaches the tree as a character.
  if (AKey == L'\t')
    AKey = 0;
  if (FContainer && AKey != 0)
    FContainer->KeyPress(AKey);
  if (AKey == L'\r')
    AKey = 0;
  if (AKey != 0)
    inherited::KeyPress(AKey);
}

void TcxBaseInnerTreeView::KeyUp(WORD& AKey, vcl::TShiftState AShift)
{
  if (AKey == VK_TAB)
    AKey = 0;
  if (FContainer)
    FContainer->KeyUp(AKey, AShift);
  if (AKey != 0)
    inherited::KeyUp(AKey, AShift);
}

void TcxBaseInnerTreeView::MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  inherited::MouseDown(AButton, AShift, X, Y);
  if (Dragging()) {
    // The container is what gets dragged.
    vcl::CancelDrag();
    if (FContainer)
      FContainer->BeginDrag(false);
  }
  if (FContainer && FContainer->FInnerControlMouseDown)
    FContainer->MouseDown(AButton, AShift, X + GetLeft(), Y + GetTop());
}

void TcxBaseInnerTreeView::MouseMove(vcl::TShiftState AShift, int X, int Y)
{
  inherited::MouseMove(AShift, X, Y);
  if (FContainer)
    FContainer->MouseMove(AShift, X + GetLeft(), Y + GetTop());
}

void TcxBaseInnerTreeView::MouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  inherited::MouseUp(AButton, AShift, X, Y);
  if (FContainer)
    FContainer->MouseUp(AButton, AShift, X + GetLeft(), Y + GetTop());
}

bool TcxBaseInnerTreeView::DoMouseWheel(vcl::TShiftState AShift, int AWheelDelta, TPoint AMousePos)
{
  return (FContainer && FContainer->DoMouseWheel(AShift, AWheelDelta, AMousePos)) ||
         inherited::DoMouseWheel(AShift, AWheelDelta, AMousePos);
}

void TcxBaseInnerTreeView::DragOver(rtl::TObject* ASource, int X, int Y, vcl::TDragState AState, bool& AAccept)
{
  if (FContainer)
    FContainer->DragOver(ASource, X + GetLeft(), Y + GetTop(), AState, AAccept);
}

void TcxBaseInnerTreeView::DragDrop(rtl::TObject* ASource, int X, int Y)
{
  if (FContainer)
    FContainer->DragDrop(ASource, X + GetLeft(), Y + GetTop());
}

void TcxBaseInnerTreeView::Change(vcl::TTreeNode* ANode)
{
  inherited::Change(ANode);
  UpdateContainerScrollBars();
}

void TcxBaseInnerTreeView::Expand(vcl::TTreeNode* ANode)
{
  inherited::Expand(ANode);
  UpdateContainerScrollBars();
}

void TcxBaseInnerTreeView::Collapse(vcl::TTreeNode* ANode)
{
  inherited::Collapse(ANode);
  UpdateContainerScrollBars();
}

void TcxBaseInnerTreeView::HandleWMGetDlgCode(rtl::TMessage& AMessage)
{
  rtl::InheritedMessage(this, AMessage);
  if (!FContainer)
    return;
  AMessage.Result |= DLGC_WANTCHARS;
  if (!IsControlHeld())
    AMessage.Result |= DLGC_WANTTAB;
}

void TcxBaseInnerTreeView::HandleWMSetFocus(rtl::TMessage& AMessage)
{
  rtl::InheritedMessage(this, AMessage);
  if (FContainer && !FContainer->IsDestroying() &&
      !(FContainer->HandleAllocated() && reinterpret_cast<HWND>(AMessage.WParam) == FContainer->GetHandle()))
    FContainer->FocusChanged();
}

void TcxBaseInnerTreeView::HandleWMKillFocus(rtl::TMessage& AMessage)
{
  rtl::InheritedMessage(this, AMessage);
  if (FContainer && !FContainer->IsDestroying())
    FContainer->FocusChanged();
}

// ---------------------------------------------------------------------------
// TcxCustomInnerTreeView

void TcxCustomInnerTreeView::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FItemHeight = -1;
  FLookAndFeel = rtl::New<TcxLookAndFeel>(this);
}

void TcxCustomInnerTreeView::Destroy()
{
  inherited::Destroy();
  rtl::FreeAndNil(FLookAndFeel);
}

void TcxCustomInnerTreeView::SetItemHeight(int AValue)
{
  if (FItemHeight == AValue)
    return;
  FItemHeight = AValue;
  if (HandleAllocated())
    Perform(TVM_SETITEMHEIGHT, static_cast<WPARAM>(FItemHeight), 0);
}

void TcxCustomInnerTreeView::CreateWnd()
{
  inherited::CreateWnd();
  if (FItemHeight != -1)
    Perform(TVM_SETITEMHEIGHT, static_cast<WPARAM>(FItemHeight), 0);
  UpdateContainerScrollBars();
}

void TcxCustomInnerTreeView::WndProc(rtl::TMessage& AMessage)
{
  if (AMessage.Msg == WM_SETREDRAW)
    FIsRedrawLocked = AMessage.WParam == 0;
  else if (AMessage.Msg == WM_DESTROY)
    FIsRedrawLocked = false;
  rtl::TFreeWatch AWatch(this);
  inherited::WndProc(AMessage);
  if (!AWatch.Freed() && AMessage.Msg == WM_SETREDRAW && AMessage.WParam != 0)
    UpdateContainerScrollBars();
}

// ---------------------------------------------------------------------------
// TcxTreeViewContainer

void TcxTreeViewContainer::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  CreateTreeView();
  InitializeTreeView();
  SetInnerControl(FInnerTreeView);
}

bool TcxTreeViewContainer::InnerTreeViewWndProcHook(rtl::TMessage& AMessage)
{
  bool ADone = false;
  if (FOnInnerTreeViewWndProc)
    FOnInnerTreeViewWndProc(FInnerTreeView, AMessage, ADone);
  return ADone;
}

TcxBaseInnerTreeViewClass TcxTreeViewContainer::GetTreeViewClass()
{
  return TcxBaseInnerTreeViewClass::Of<TcxBaseInnerTreeView>();
}

void TcxTreeViewContainer::CreateTreeView()
{
  FInnerTreeView = GetTreeViewClass().Create(this);
}

void TcxTreeViewContainer::InitializeTreeView()
{
  FInnerTreeView->SetParent(this);
  FInnerTreeView->SetContainer(this);
  FInnerTreeView->SetParentShowHint(false);
}

void TcxTreeViewContainer::SetReadOnly(bool AValue)
{
  if (GetReadOnly() == AValue)
    return;
  FInnerTreeView->SetReadOnly(AValue);
  RefreshContainerState();
}

void TcxTreeViewContainer::SetScrollBarsParameters(bool AIsScrolling)
{
  if (rtl::Is<TcxCustomInnerTreeView>(FInnerTreeView) &&
      static_cast<TcxCustomInnerTreeView*>(FInnerTreeView)->IsRedrawLocked())
    return;
  inherited::SetScrollBarsParameters(AIsScrolling);
}

void TcxTreeViewContainer::CorrectAlignRect(TRect& R)
{
  TRect M{};
  GetBorderExtent(M);
  R = TRect{R.left + M.left, R.top + M.top, R.right - M.right, R.bottom - M.bottom};
}

void TcxTreeViewContainer::Scroll(TScrollBarKind AScrollBarKind, TScrollCode AScrollCode, int& AScrollPos)
{
  if (!FInnerTreeView || !FInnerTreeView->GetEnabled() || !FInnerTreeView->HandleAllocated())
    return;
  const HWND AInner = FInnerTreeView->GetHandle();
  const bool AHorizontal = AScrollBarKind == TScrollBarKind::sbHorizontal;
  const int ACode = static_cast<int>(AScrollCode);
  if (!AHorizontal && (ACode == SB_THUMBPOSITION || ACode == SB_THUMBTRACK)) {
    SCROLLINFO AInfo{};
    AInfo.cbSize = sizeof(AInfo);
    AInfo.fMask = SIF_POS;
    AInfo.nPos = AScrollPos;
    SetScrollInfo(AInner, SB_VERT, &AInfo, TRUE);
  }
  CallWindowProcW(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(AInner, GWLP_WNDPROC)), AInner,
                  AHorizontal ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(ACode, AScrollPos), 0);
  AScrollPos = GetScrollPos(AInner, AHorizontal ? SB_HORZ : SB_VERT);
  SetScrollBarsParameters();
}

void TcxTreeViewContainer::HandleCNNotify(rtl::TMessage& AMessage)
{
  if (FInnerTreeView)
    FInnerTreeView->Dispatch(AMessage);
}

// ---------------------------------------------------------------------------
// TcxCustomTreeView

void TcxCustomTreeView::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  SetBounds(GetLeft(), GetTop(), 120, 100);
}

TcxBaseInnerTreeViewClass TcxCustomTreeView::GetTreeViewClass()
{
  return TcxBaseInnerTreeViewClass::Of<TcxCustomInnerTreeView>();
}

void TcxCustomTreeView::InitializeTreeView()
{
  inherited::InitializeTreeView();
  TcxCustomInnerTreeView* AInner = GetInnerTreeView();
  AInner->SetAlign(vcl::TAlign::alClient);
  AInner->SetBorderStyle(vcl::TBorderStyle::bsNone);
  AInner->GetLookAndFeel()->SetMasterLookAndFeel(GetStyle()->GetLookAndFeel());
}

vcl::THitTests TcxCustomTreeView::GetHitTestInfoAt(int X, int Y)
{
  return GetInnerTreeView()->GetHitTestInfoAt(X - GetInnerTreeView()->GetLeft(), Y - GetInnerTreeView()->GetTop());
}

vcl::TTreeNode* TcxCustomTreeView::GetNodeAt(int X, int Y)
{
  return GetInnerTreeView()->GetNodeAt(X - GetInnerTreeView()->GetLeft(), Y - GetInnerTreeView()->GetTop());
}

void TcxCustomTreeView::Select(rtl::TList* ANodes)
{
  std::vector<vcl::TTreeNode*> ASelection;
  for (int I = 0; I < ANodes->GetCount(); ++I)
    ASelection.push_back(static_cast<vcl::TTreeNode*>(ANodes->GetItem(I)));
  Select(ASelection);
}

void TcxCustomTreeView::GetSelections(rtl::TList* AList)
{
  AList->Clear();
  for (int I = 0; I < GetSelectionCount(); ++I)
    AList->Add(GetSelection(I));
}

// ---------------------------------------------------------------------------
// Tree-view routines

namespace {

bool FindNodeByData(vcl::TTreeNode* ANode, void* AData, vcl::TTreeNode*& AFound)
{
  for (; ANode; ANode = ANode->GetNextSibling()) {
    if (ANode->GetData() == AData) {
      AFound = ANode;
      return true;
    }
    if (FindNodeByData(ANode->GetFirstChild(), AData, AFound))
      return true;
  }
  return false;
}

template <class F>
void ForEachNode(vcl::TTreeNode* ANode, const F& AProc)
{
  for (; ANode; ANode = ANode->GetNextSibling()) {
    AProc(ANode);
    ForEachNode(ANode->GetFirstChild(), AProc);
  }
}

}  // namespace

bool dxTreeViewFindNodeByData(vcl::TCustomTreeView* ATreeView, void* AData, vcl::TTreeNode*& ANode)
{
  ANode = nullptr;
  return FindNodeByData(ATreeView->GetItems()->GetFirstNode(), AData, ANode);
}

vcl::TTreeNode* dxTreeViewNodeAtPoint(vcl::TCustomTreeView* ATreeView, const TPoint& P)
{
  if (!ATreeView->GetHitTestInfoAt(P.x, P.y).Contains(vcl::THitTest::htOnItem))
    return nullptr;
  return ATreeView->GetNodeAt(P.x, P.y);
}

void dxTreeViewSelectionToList(vcl::TCustomTreeView* ATreeView, rtl::TList* AList)
{
  for (int I = 0; I < ATreeView->GetSelectionCount(); ++I)
    AList->Add(ATreeView->GetSelection(I)->GetData());
}

void dxTreeViewSelectFromList(vcl::TCustomTreeView* ATreeView, rtl::TList* AList)
{
  if (AList->GetCount() == 0) {
    ATreeView->ClearSelection(false);
    return;
  }
  ForEachNode(ATreeView->GetItems()->GetFirstNode(), [ATreeView, AList](vcl::TTreeNode* ANode) {
    const bool AInList = ANode->GetData() && AList->IndexOf(ANode->GetData()) >= 0;
    if (AInList)
      ATreeView->Select(ANode, {vcl::TShiftStateItem::ssCtrl});
    else
      ATreeView->Deselect(ANode);
    ANode->SetFocused(ANode->GetSelected());
  });
  if (ATreeView->GetSelectionCount() == 0)
    ATreeView->SetSelected(nullptr);
}

vcl::TTreeNode* cxTreeViewNodeAtParentPoint(TcxCustomTreeView* ATreeView, const TPoint& P)
{
  return dxTreeViewNodeAtPoint(ATreeView->GetInnerTreeView(),
                               TPoint{P.x - ATreeView->GetLeft(), P.y - ATreeView->GetTop()});
}
