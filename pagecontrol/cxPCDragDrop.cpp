// Tab drag and drop: the image of the dragged tab under the pointer, the
// arrows at the drop position, the scrolling of a single row while the
// pointer rests at its ends, and the move of the tab.
#include "pagecontrol/cxPC.h"

#include <algorithm>

#include "controls/cxDragImages.h"
#include "core/cxClasses.h"

namespace {

// The first scroll comes after a pause, the next ones faster.
constexpr unsigned cxDragScrollingFirstInterval = 300;
constexpr unsigned cxDragScrollingInterval = 150;

}  // namespace

void TcxTabControlDragAndDropObject::Create(IcxTabControl* AIControl)
{
  inherited::Create(nullptr);
  FIControl = AIControl;
  FHitTabVisibleIndex = -1;
  FDestinationTabVisibleIndex = -1;
  FTabVisibleIndex = -1;
  FScrollingDirection = 1;
}

void TcxTabControlDragAndDropObject::Destroy()
{
  StopScrolling();
  DestroyDestinationArrows();
  rtl::FreeAndNil(FDragImage);
  inherited::Destroy();
}

void TcxTabControlDragAndDropObject::Init(int ATabVisibleIndex, const TPoint& P)
{
  FTabVisibleIndex = ATabVisibleIndex;
  const TRect full = FIControl->GetViewInfo()->GetTabViewInfo(ATabVisibleIndex)->GetFullRect();
  FDragPointOffset = TPoint{full.left - P.x, full.top - P.y};
}

TPoint TcxTabControlDragAndDropObject::GetClientCursorPos()
{
  vcl::TWinControl* control = FIControl->GetOwnerControl();
  if (!control || !control->HandleAllocated())
    return TPoint{-1, -1};
  POINT P;
  GetCursorPos(&P);
  return control->ScreenToClient(TPoint{P.x, P.y});
}

vcl::TCursor TcxTabControlDragAndDropObject::GetDragAndDropCursor(bool AAccepted)
{
  return AAccepted ? vcl::crDefault : vcl::crNoDrop;
}

void TcxTabControlDragAndDropObject::BeginDragAndDrop()
{
  inherited::BeginDragAndDrop();
  FDragImage = rtl::New<TcxDragImage>();
  // A picture of the user's is held by its top-left corner.
  if (FIControl->GetProperties()->DoPaintDragImage(FDragImage))
    FDragPointOffset = TPoint{0, 0};
  else
    PaintTabDragImage();
}

void TcxTabControlDragAndDropObject::PaintTabDragImage()
{
  TcxCustomTabControlViewInfo* viewInfo = FIControl->GetViewInfo();
  TcxPCCustomPainter* painter = FIControl->GetPCPainter();
  if (!painter)
    return;
  const TRect full = viewInfo->GetTabViewInfo(FTabVisibleIndex)->GetFullRect();
  FDragImage->SetBounds(FDragImage->GetLeft(), FDragImage->GetTop(), full.right - full.left, full.bottom - full.top);
  TcxCanvas* canvas = FDragImage->GetcxCanvas();
  // The painter draws in control coordinates; the picture starts at the
  // tab's corner. The origin goes back so that the window copies the
  // picture from (0, 0).
  canvas->SetWindowOrg(TPoint{full.left, full.top});
  canvas->Lock();
  try {
    canvas->FillRect(full, painter->GetControlColor());
    painter->PaintDragImage(canvas, FTabVisibleIndex);
  } catch (...) {
    canvas->Unlock();
    canvas->SetWindowOrg(TPoint{0, 0});
    throw;
  }
  canvas->Unlock();
  canvas->SetWindowOrg(TPoint{0, 0});
}

void TcxTabControlDragAndDropObject::MoveDragImage(const TPoint& P)
{
  vcl::TWinControl* control = FIControl->GetOwnerControl();
  if (!FDragImage || !control)
    return;
  const TPoint screen = control->ClientToScreen(P);
  FDragImage->MoveTo(TPoint{screen.x + FDragPointOffset.x, screen.y + FDragPointOffset.y});
  if (!FDragImage->GetVisible())
    FDragImage->Show(SW_SHOWNA);
}

int TcxTabControlDragAndDropObject::CalculateDestination(const TPoint& P)
{
  TcxCustomTabControlViewInfo* viewInfo = FIControl->GetViewInfo();
  const int hit = viewInfo->VisibleIndexOfTabAt(P.x, P.y);
  FHitTabVisibleIndex = hit;
  const int dragged = FTabVisibleIndex;
  if (hit == -1 || hit == dragged || viewInfo->GetTabViewInfo(hit)->GetTab()->IsNewButton())
    return -1;
  const TRect R = viewInfo->GetTabViewInfo(hit)->GetNormalRect();
  const TcxTabPosition position = viewInfo->Properties()->GetTabPosition();
  bool behind;
  if (position == TcxTabPosition::tpLeft || position == TcxTabPosition::tpRight) {
    behind = P.y > (R.top + R.bottom) / 2;
    if (viewInfo->IsBottomToTopAlignment())
      behind = !behind;
  } else {
    const int middle = (R.left + R.right) / 2;
    behind = viewInfo->UseRightToLeftAlignment() ? P.x < middle : P.x > middle;
    if (viewInfo->IsRightToLeftAlignment())
      behind = !behind;
  }
  int destination;
  if (hit < dragged)
    destination = behind ? hit + 1 : hit;
  else
    destination = behind ? hit : hit - 1;
  return destination == dragged ? -1 : destination;
}

void TcxTabControlDragAndDropObject::DragAndDrop(const TPoint& P, bool& AAccepted)
{
  MoveDragImage(P);
  const int destination = CalculateDestination(P);
  if (destination != FDestinationTabVisibleIndex) {
    DestroyDestinationArrows();
    FDestinationTabVisibleIndex = destination;
    CreateDestinationArrows();
  }
  UpdateScrolling(P);
  AAccepted = AAccepted && destination != -1 && destination != FTabVisibleIndex;
  inherited::DragAndDrop(P, AAccepted);
}

void TcxTabControlDragAndDropObject::CreateDestinationArrows()
{
  vcl::TWinControl* control = FIControl->GetOwnerControl();
  TcxPCCustomPainter* painter = FIControl->GetPCPainter();
  // A destination scrolled out of the row has no place to mark.
  if (FDestinationTabVisibleIndex == -1 || !control || !painter ||
      !FIControl->GetViewInfo()->GetTabViewInfo(FDestinationTabVisibleIndex)->ActuallyVisible())
    return;
  TRect first;
  TRect second;
  painter->CalculateDragArrowRects(FTabVisibleIndex, FHitTabVisibleIndex, FDestinationTabVisibleIndex, first, second);
  const bool topOrBottom = FIControl->GetViewInfo()->IsTopOrBottom();
  const TPoint origin = control->ClientToScreen(TPoint{0, 0});
  const TRect client = control->GetClientRect();
  FDestinationArrowFirst = rtl::New<TcxDragAndDropArrow>(true);
  FDestinationArrowFirst->Init(origin, first, client, topOrBottom ? TcxArrowPlace::apTop : TcxArrowPlace::apLeft);
  FDestinationArrowFirst->Show(SW_SHOWNA);
  FDestinationArrowSecond = rtl::New<TcxDragAndDropArrow>(true);
  FDestinationArrowSecond->Init(origin, second, client,
                                topOrBottom ? TcxArrowPlace::apBottom : TcxArrowPlace::apRight);
  FDestinationArrowSecond->Show(SW_SHOWNA);
}

void TcxTabControlDragAndDropObject::DestroyDestinationArrows()
{
  rtl::FreeAndNil(FDestinationArrowFirst);
  rtl::FreeAndNil(FDestinationArrowSecond);
}

void TcxTabControlDragAndDropObject::UpdateScrolling(const TPoint& P)
{
  int direction = 0;
  if (!FIControl->GetViewInfo()->GetDragScrollDirection(P, direction)) {
    StopScrolling();
    return;
  }
  FScrollingDirection = direction;
  if (!FScrollingTimer)
    FScrollingTimer = cxNewTimer(cxDragScrollingFirstInterval, true,
                                 rtl::TNotifyEvent::Bind<&TcxTabControlDragAndDropObject::ScrollingTimerHandler>(this));
}

void TcxTabControlDragAndDropObject::StopScrolling()
{
  rtl::FreeAndNil(FScrollingTimer);
}

void TcxTabControlDragAndDropObject::ScrollingTimerHandler(rtl::TObject*)
{
  FScrollingTimer->SetInterval(cxDragScrollingInterval);
  if (!FIControl->GetViewInfo()->ScrollFirstTab(FScrollingDirection))
    return;
  FIControl->LayoutChanged();
  // The tabs moved under the arrows.
  DestroyDestinationArrows();
  CreateDestinationArrows();
}

void TcxTabControlDragAndDropObject::EndDragAndDrop(bool AAccepted)
{
  StopScrolling();
  DestroyDestinationArrows();
  rtl::FreeAndNil(FDragImage);
  MoveDraggedTab(AAccepted);
  inherited::EndDragAndDrop(AAccepted);
}

void TcxTabControlDragAndDropObject::MoveDraggedTab(bool AAccepted)
{
  TcxCustomTabControlViewInfo* viewInfo = FIControl->GetViewInfo();
  if (!AAccepted || FDestinationTabVisibleIndex == -1 || FDestinationTabVisibleIndex >= viewInfo->TabsViewInfoCount())
    return;
  const int from = viewInfo->GetTabViewInfo(FTabVisibleIndex)->GetIndex();
  const int to = viewInfo->GetTabViewInfo(FDestinationTabVisibleIndex)->GetIndex();
  TcxCustomTabControlProperties* properties = FIControl->GetProperties();
  // Under the update lock no veto is asked and no OnChange raised; a page
  // switch still shows and hides its pages.
  properties->BeginUpdate();
  try {
    properties->MoveTab(from, to);
    properties->SetTabIndex(to);
  } catch (...) {
    properties->EndUpdate();
    throw;
  }
  properties->EndUpdate();
}

// ---------------------------------------------------------------------------
// The view info's part

bool TcxCustomTabControlViewInfo::GetDragScrollDirection(const TPoint& P, int& ADirection) const
{
  if (Properties()->GetMultiLine() || FRowCount != 1 || FFirstTabVisibleIndex == -1)
    return false;
  const int hit = VisibleIndexOfTabAt(P.x, P.y);
  if (hit == -1)
    return false;
  const bool lastCut = hit == FLastTabVisibleIndex && !FIsLastTabFullyVisible;
  if (hit == FFirstTabVisibleIndex && FFirstTabVisibleIndex > 0)
    ADirection = -1;
  else if (hit == FLastTabVisibleIndex && (FLastTabVisibleIndex < TabsViewInfoCount() - 1 || lastCut))
    ADirection = 1;
  else
    return false;
  TRect zone = GetTabViewInfo(hit)->GetNormalRect();
  if (!(ADirection == 1 && lastCut)) {
    // The start of the tab in the direction tabs are placed.
    const bool alongY = !IsTopOrBottom();
    const int length = alongY ? zone.bottom - zone.top : zone.right - zone.left;
    const int part = std::max(length / 4, 4);
    if (alongY) {
      if (IsBottomToTopAlignment())
        zone.top = zone.bottom - part;
      else
        zone.bottom = zone.top + part;
    } else if (IsRightToLeftAlignment() != UseRightToLeftAlignment()) {
      zone.left = zone.right - part;
    } else {
      zone.right = zone.left + part;
    }
  }
  const POINT point{P.x, P.y};
  return PtInRect(&zone, point);
}

bool TcxCustomTabControlViewInfo::ScrollFirstTab(int ADelta)
{
  const int value = std::clamp(FFirstTabVisibleIndex + ADelta, 0, std::max(TabsViewInfoCount() - 1, 0));
  if (value == FFirstTabVisibleIndex)
    return false;
  FFirstTabVisibleIndex = value;
  return true;
}

// ---------------------------------------------------------------------------
// The control's part

TcxDragAndDropObject* TcxCustomTabControl::CreateDragAndDropObject()
{
  return FController->DragObjectClass().Create(static_cast<IcxTabControl*>(this));
}

TcxTabControlDragAndDropObject* TcxCustomTabControl::GetDragObject()
{
  return static_cast<TcxTabControlDragAndDropObject*>(GetDragAndDropObject());
}

bool TcxCustomTabControl::StartDragAndDrop(const TPoint& P)
{
  return !GetDockSite() && FController->StartDrag(P);
}

void TcxCustomTabControl::BeginDragAndDrop()
{
  FViewInfo->ResetHotTracking();
  inherited::BeginDragAndDrop();
  if (FOnTabStartDrag)
    FOnTabStartDrag(this, FViewInfo->GetTabViewInfo(GetDragObject()->GetTabVisibleIndex())->GetIndex());
}

void TcxCustomTabControl::DragAndDrop(const TPoint& P, bool& AAccepted)
{
  TcxTabControlDragAndDropObject* dragObject = GetDragObject();
  // The user's say comes with the destination of the previous step. A veto
  // of a known destination holds for this step; without a destination the
  // step itself decides, so the cursor follows the pointer at once.
  const int destination = dragObject->GetDestinationTabVisibleIndex();
  AAccepted = destination != -1;
  if (FOnTabDragAndDrop) {
    rtl::TFreeWatch watch(this);
    FOnTabDragAndDrop(this, FViewInfo->GetTabViewInfo(dragObject->GetTabVisibleIndex())->GetIndex(),
                      destination == -1 ? -1 : FViewInfo->GetTabViewInfo(destination)->GetIndex(), AAccepted);
    if (watch.Freed())
      return;
  }
  AAccepted = AAccepted || destination == -1;
  inherited::DragAndDrop(P, AAccepted);
}

void TcxCustomTabControl::EndDragAndDrop(bool AAccepted)
{
  TcxTabControlDragAndDropObject* dragObject = GetDragObject();
  const int dragged = dragObject->GetTabVisibleIndex();
  const int destination = dragObject->GetDestinationTabVisibleIndex();
  const int draggedIndex = FViewInfo->GetTabViewInfo(dragged)->GetIndex();
  const int destinationIndex = destination == -1 ? -1 : FViewInfo->GetTabViewInfo(destination)->GetIndex();
  bool accepted = AAccepted && destination != -1 && destination != dragged;
  rtl::TFreeWatch watch(this);
  if (accepted && FOnTabDragAndDrop) {
    FOnTabDragAndDrop(this, draggedIndex, destinationIndex, accepted);
    if (watch.Freed())
      return;
  }
  inherited::EndDragAndDrop(accepted);
  FController->DragFinished(accepted);
  if (FOnTabEndDrag)
    FOnTabEndDrag(this, accepted ? destinationIndex : draggedIndex);
}
