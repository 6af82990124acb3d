// Tab drag and drop: the destination under the pointer, the scrolling of a
// single row while the pointer rests at its ends, and the move of the tab.
#include "pagecontrol/cxPC.h"

#include <algorithm>

#include "core/cxClasses.h"

namespace {

// The first scroll comes after a pause, the next ones faster.
constexpr unsigned cxDragScrollingFirstInterval = 300;
constexpr unsigned cxDragScrollingInterval = 150;

}  // namespace

void TcxTabControlDragAndDropObject::Create(IcxTabControl* AIControl)
{
  FIControl = AIControl;
  FHitTabVisibleIndex = -1;
  FDestinationTabVisibleIndex = -1;
  FTabVisibleIndex = -1;
  FScrollingDirection = 1;
}

void TcxTabControlDragAndDropObject::Destroy()
{
  StopScrolling();
  inherited::Destroy();
}

void TcxTabControlDragAndDropObject::Init(int ATabVisibleIndex, const TPoint& P)
{
  FTabVisibleIndex = ATabVisibleIndex;
  const TRect full = FIControl->GetViewInfo()->GetTabViewInfo(ATabVisibleIndex)->GetFullRect();
  FDragPointOffset = TPoint{full.left - P.x, full.top - P.y};
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
  FDestinationTabVisibleIndex = CalculateDestination(P);
  UpdateScrolling(P);
  AAccepted = AAccepted && FDestinationTabVisibleIndex != -1 && FDestinationTabVisibleIndex != FTabVisibleIndex;
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
  if (FIControl->GetViewInfo()->ScrollFirstTab(FScrollingDirection))
    FIControl->LayoutChanged();
}

void TcxTabControlDragAndDropObject::EndDragAndDrop(bool AAccepted)
{
  StopScrolling();
  MoveDraggedTab(AAccepted);
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

bool TcxCustomTabControl::StartDragAndDrop(const TPoint& P)
{
  rtl::FreeAndNil(FDragObject);
  if (GetDockSite() || !FProperties->GetAllowTabDragDrop() || !FViewInfo->IsTabsVisible())
    return false;
  const TcxPCHitInfo hit = FViewInfo->CalculateHitTest(P);
  if (hit.Tab == -1 || hit.TabButton || !FViewInfo->GetTabViewInfo(hit.Tab)->CanDrag())
    return false;
  FDragObject = rtl::New<TcxTabControlDragAndDropObject>(static_cast<IcxTabControl*>(this));
  FDragObject->Init(hit.Tab, P);
  return true;
}

void TcxCustomTabControl::BeginDragAndDrop()
{
  inherited::BeginDragAndDrop();
  if (!FDragObject)
    return;
  FViewInfo->ResetHotTracking();
  FDragObject->BeginDragAndDrop();
  if (FOnTabStartDrag)
    FOnTabStartDrag(this, FViewInfo->GetTabViewInfo(FDragObject->GetTabVisibleIndex())->GetIndex());
}

void TcxCustomTabControl::DragAndDrop(const TPoint& P, bool& AAccepted)
{
  if (!FDragObject)
    return;
  // The user's say comes with the destination of the previous step.
  const int destination = FDragObject->GetDestinationTabVisibleIndex();
  AAccepted = destination != -1;
  if (FOnTabDragAndDrop)
    FOnTabDragAndDrop(this, FViewInfo->GetTabViewInfo(FDragObject->GetTabVisibleIndex())->GetIndex(),
                      destination == -1 ? -1 : FViewInfo->GetTabViewInfo(destination)->GetIndex(), AAccepted);
  AAccepted = true;
  FDragObject->DragAndDrop(P, AAccepted);
  SetCursor(AAccepted ? vcl::crDefault : vcl::crNoDrop);
}

void TcxCustomTabControl::EndDragAndDrop(bool AAccepted)
{
  if (!FDragObject)
    return;
  const rtl::TOwnedPtr<TcxTabControlDragAndDropObject> dragObject(FDragObject);
  FDragObject = nullptr;
  SetCursor(vcl::crDefault);
  const int dragged = dragObject->GetTabVisibleIndex();
  const int destination = dragObject->GetDestinationTabVisibleIndex();
  const int draggedIndex = FViewInfo->GetTabViewInfo(dragged)->GetIndex();
  const int destinationIndex = destination == -1 ? -1 : FViewInfo->GetTabViewInfo(destination)->GetIndex();
  bool accepted = AAccepted && destination != -1 && destination != dragged;
  if (accepted && FOnTabDragAndDrop)
    FOnTabDragAndDrop(this, draggedIndex, destinationIndex, accepted);
  dragObject->EndDragAndDrop(accepted);
  if (FOnTabEndDrag)
    FOnTabEndDrag(this, accepted ? destinationIndex : draggedIndex);
}
