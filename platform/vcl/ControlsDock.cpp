// Docking, as far as the program's dock sites use it: a control docks into a
// dock site (a drag with DragKind dkDock, or ManualDock), the site hears of
// it through DockDrop and CM_DOCKCLIENT, of its leaving through DoUnDock and
// CM_UNDOCKCLIENT, and of the docked control's text and visibility through
// CM_DOCKNOTIFICATION. No dock manager and no floating dock forms: a site
// places its clients itself (DoAddDockClient).
#include <algorithm>

#include "platform/vcl/Controls.h"

using enum vcl::TControlStateItem;

namespace vcl {

// ---------------------------------------------------------------------------
// The docked control's side

bool TControl::ManualDock(TWinControl* ANewDockSite, TControl* ADropControl, TAlign AControlSide)
{
  const TRect bounds = GetBoundsRect();
  const TRect screenRect = FParent ? FParent->ClientToScreen(bounds) : bounds;
  if (!ANewDockSite)
    return ManualFloat(screenRect);
  if (!ANewDockSite->GetDockSite() || ANewDockSite == this)
    return false;
  if (FHostDockSite && !FHostDockSite->DoUnDock(ANewDockSite, this))
    return false;
  rtl::TOwnedPtr<TDragDockObject> dockObject(rtl::New<TDragDockObject>(this));
  dockObject->SetDockRect(screenRect);
  dockObject->SetDropAlign(AControlSide);
  dockObject->SetDropOnControl(ADropControl);
  const TPoint at = ANewDockSite->ScreenToClient(TPoint{screenRect.left, screenRect.top});
  ANewDockSite->DockDrop(dockObject.get(), at.x, at.y);
  return true;
}

bool TControl::ManualFloat(const TRect& AScreenPos)
{
  if (FHostDockSite && !FHostDockSite->DoUnDock(nullptr, this))
    return false;
  Dock(nullptr, AScreenPos);
  return true;
}

// The sites' client lists change first (the new site's DoAddDockClient
// sees the control among its clients) and go back when the docking fails.
void TControl::Dock(TWinControl* ANewDockSite, const TRect& ARect)
{
  TWinControl* oldSite = FHostDockSite;
  const auto moveClient = [this](TWinControl* AFrom, TWinControl* ATo) {
    if (AFrom)
      std::erase(AFrom->FDockClients, this);
    if (ATo)
      ATo->FDockClients.push_back(this);
  };
  if (oldSite != ANewDockSite)
    moveClient(oldSite, ANewDockSite);
  FControlState.Include(csDocking);
  try {
    TRect rect = ARect;
    DoDock(ANewDockSite, rect);
  } catch (...) {
    FControlState.Exclude(csDocking);
    if (oldSite != ANewDockSite)
      moveClient(ANewDockSite, oldSite);
    throw;
  }
  FControlState.Exclude(csDocking);
  FHostDockSite = ANewDockSite;
  if (oldSite && oldSite != ANewDockSite)
    oldSite->DoRemoveDockClient(this);
}

// Without a site the control stands on its own at ARect, on the screen.
void TControl::DoDock(TWinControl* ANewDockSite, TRect& ARect)
{
  if (ANewDockSite) {
    ANewDockSite->DoAddDockClient(this, ARect);
    return;
  }
  SetParent(nullptr);
  SetBoundsRect(ARect);
}

void TControl::DoStartDock(TDragDockObject*& ADragObject)
{
  if (FOnStartDock)
    FOnStartDock(this, ADragObject);
}

void TControl::DoEndDock(TObject* ATarget, int X, int Y)
{
  if (FOnEndDock)
    FOnEndDock(this, ATarget, X, Y);
}

// Not while the control is being dragged: the site learns of the end of
// the drag instead.
void TControl::SendDockNotification(UINT AMsg, WPARAM AWParam, LPARAM ALParam)
{
  if (!FHostDockSite || Dragging())
    return;
  TDockNotifyRec notify{AMsg, AWParam, ALParam};
  FHostDockSite->Perform(CM_DOCKNOTIFICATION, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(&notify));
}

// ---------------------------------------------------------------------------
// The dock site's side

void TWinControl::DockDrop(TDragDockObject* ASource, int X, int Y)
{
  DisableAlign();
  try {
    Perform(CM_DOCKCLIENT, reinterpret_cast<WPARAM>(ASource),
            MAKELPARAM(static_cast<WORD>(X), static_cast<WORD>(Y)));
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
  if (FOnDockDrop)
    FOnDockDrop(this, ASource, X, Y);
}

void TWinControl::DockOver(TDragDockObject* ASource, int X, int Y, TDragState AState, bool& AAccept)
{
  if (FOnDockOver)
    FOnDockOver(this, ASource, X, Y, AState, AAccept);
}

bool TWinControl::DoUnDock(TWinControl* ANewTarget, TControl* AClient)
{
  bool allow = true;
  if (FOnUnDock)
    FOnUnDock(this, AClient, ANewTarget, allow);
  return allow && Perform(CM_UNDOCKCLIENT, reinterpret_cast<WPARAM>(ANewTarget),
                          reinterpret_cast<LPARAM>(AClient)) == 0;
}

void TWinControl::DoAddDockClient(TControl* AClient, const TRect& ARect)
{
  AClient->SetParent(this);
  AClient->SetBoundsRect(ARect);
}

// The control docks at the dock object's rectangle, in client coordinates.
void TWinControl::CMDockClient(TCMDockClient& AMessage)
{
  TDragDockObject* source = AMessage.DockSource;
  source->GetControl()->Dock(this, ScreenToClient(source->GetDockRect()));
  AMessage.Result = 0;
}

void TWinControl::CMUnDockClient(TCMUnDockClient& AMessage)
{
  AMessage.Result = 0;
}

}  // namespace vcl
