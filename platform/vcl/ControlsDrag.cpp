// Drag and drop and the context popup of controls:
//   ControlsDragMachine: one drag from BeginDrag to its drop or cancel; the
//     control under the mouse is asked through CM_DRAG sent to its window;
//     the cursor and the drag image follow the target's answer
//   the drag objects: TDragObject, TBaseDragControlObject,
//     TDragControlObject, TDragDockObject
//   TControl: BeginDrag, EndDrag, Dragging, DragOver, DragDrop, the drag
//     events, DoDragMsg; TWinControl: CM_DRAG
//   WM_CONTEXTMENU: OnContextPopup, then the popup menu of the control
//
// Docking drags run through the same machine (ControlsDock.cpp has the dock
// sites' side).
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/rtl/ClassesThreads.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/ImgList.h"

using enum rtl::TComponentStateFlag;
using enum vcl::TControlStateItem;
using enum vcl::TControlStyleItem;
using enum vcl::TDragKind;
using enum vcl::TDragMessage;

namespace vcl {

using rtl::InheritedMessage;

namespace {

enum class ControlsDragOperation { None, Drag, Dock };

// The drag that runs; one per process, as there is one mouse.
struct ControlsDragState {
  TDragObject* Object = nullptr;
  // The control being dragged; set from BeginDrag on, so a drag cannot
  // start again from inside OnStartDrag.
  TControl* Control = nullptr;
  TDragImageList* Images = nullptr;
  HCURSOR SaveCursor = nullptr;
  TPoint StartPos{};
  int Threshold = 0;
  ControlsDragOperation Active = ControlsDragOperation::None;
};

ControlsDragState& DragState()
{
  static ControlsDragState state;
  return state;
}

// The drags whose end is being told, innermost last. A handler of the end
// may free the target, the dragged control or the drag object; the entry
// forgets them, so the end does not use them after.
std::vector<TDragObject*>& EndingDrags()
{
  static std::vector<TDragObject*> list;
  return list;
}

// Lists a drag as ending for the time of its end.
class ControlsDragEnding {
 public:
  explicit ControlsDragEnding(TDragObject* AObject) : FIndex(EndingDrags().size()) { EndingDrags().push_back(AObject); }
  ~ControlsDragEnding() { EndingDrags().resize(FIndex); }
  ControlsDragEnding(const ControlsDragEnding&) = delete;
  ControlsDragEnding& operator=(const ControlsDragEnding&) = delete;
  // False once a handler freed the object.
  bool Alive() const { return EndingDrags()[FIndex] != nullptr; }

 private:
  std::size_t FIndex;
};

bool IsKeyboardPoint(const TPoint& APoint)
{
  return APoint.x == -1 && APoint.y == -1;
}

}  // namespace

// The steps of a drag. A friend of TControl and TDragObject: it drives
// their protected parts.
class ControlsDragMachine {
 public:
  static void BeginDrag(TControl* AControl, bool AImmediate, int AThreshold, const TPoint& AStartPos);
  static void DragTo(const TPoint& APos);
  static void Done(bool ADrop);
  // Done, or for a drag still starting (in OnStartDrag) no start.
  static void Cancel();
  // Forgets a control that goes while a drag runs, so no pointer to it
  // stays behind.
  static void ControlDestroying(TControl* AControl);
  static void ObjectDestroying(TDragObject* AObject);
  static void WndProc(TDragObject* AObject, TMessage& AMessage);

 private:
  static void Init(TDragObject* AObject, bool AImmediate, int AThreshold, const TPoint& AStartPos);
  static TObject* FindTarget(const TPoint& APos, HWND& AHandle);
  static TWinControl* FindDockSite(const TPoint& APos);
  static bool DoDragOver(TDragMessage AMessage);
  static LRESULT DragMessage(HWND AHandle, TDragMessage AMessage, TDragObject* ASource, TObject* ATarget,
                             const TPoint& APos);
  static void ShowFeedback(TDragObject* AObject, TObject* ATarget, bool AAccepted, const TPoint& APos);
  static void ReleaseCaptureWindow(TDragObject* AObject);
  static void ForgetControl(TDragObject* AObject, TControl* AControl);
};

void ControlsDragMachine::BeginDrag(TControl* AControl, bool AImmediate, int AThreshold, const TPoint& AStartPos)
{
  ControlsDragState& state = DragState();
  if (state.Control)
    return;
  // The press becomes the drag: the control lets the mouse go, and a drag
  // is no click.
  if (AControl->FControlState.Contains(csLButtonDown)) {
    AControl->FControlState.Exclude(csClicked);
    const TPoint local = AControl->ScreenToClient(AStartPos);
    AControl->Perform(WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(local.x), static_cast<WORD>(local.y)));
  }
  if (AThreshold < 0)
    AThreshold = Mouse()->GetDragThreshold();
  state.Control = AControl;
  TDragObject* object = nullptr;
  try {
    if (AControl->FDragKind == dkDock) {
      TDragDockObject* dockObject = nullptr;
      AControl->DoStartDock(dockObject);
      if (!dockObject)
        dockObject = rtl::New<TDragDockObjectEx>(AControl);
      const TRect bounds = AControl->GetBoundsRect();
      dockObject->SetDockRect(AControl->FParent ? AControl->FParent->ClientToScreen(bounds) : bounds);
      object = dockObject;
    } else {
      AControl->DoStartDrag(object);
      if (!object)
        object = rtl::New<TDragControlObjectEx>(AControl);
    }
  } catch (...) {
    if (state.Control == AControl && !state.Object)
      state.Control = nullptr;
    throw;
  }
  // The handler cancelled the drag (and may have freed what it supplied),
  // or started another one.
  if (state.Control != AControl || state.Object)
    return;
  Init(object, AImmediate, AThreshold, AStartPos);
}

// What may fail comes first: a drag that cannot start leaves no trace.
void ControlsDragMachine::Init(TDragObject* AObject, bool AImmediate, int AThreshold, const TPoint& AStartPos)
{
  ControlsDragState& state = DragState();
  try {
    state.Images = rtl::Is<TDragDockObject>(AObject) ? nullptr : AObject->GetDragImages();
    AObject->FCaptureWindow = rtl::AllocateHWnd(TWndMethod::Bind<&TDragObject::MainWndProc>(AObject));
  } catch (...) {
    state = {};
    if (AObject->FreeAfterDrag())
      rtl::Free(AObject);
    throw;
  }
  state.Object = AObject;
  AObject->FDragTarget = nullptr;
  AObject->FDragHandle = nullptr;
  AObject->FDragPos = AStartPos;
  AObject->FDropped = false;
  AObject->FCancelling = false;
  state.StartPos = AStartPos;
  state.Threshold = AThreshold;
  state.SaveCursor = ::GetCursor();
  state.Active = ControlsDragOperation::None;
  ::SetCapture(AObject->FCaptureWindow);
  if (AImmediate)
    DragTo(AStartPos);
}

// The window of this process at the point that belongs to a framework
// control; the control answers dmFindTarget with itself or the
// non-windowed child at the point.
TObject* ControlsDragMachine::FindTarget(const TPoint& APos, HWND& AHandle)
{
  AHandle = nullptr;
  if (rtl::Is<TDragDockObject>(DragState().Object)) {
    TWinControl* site = FindDockSite(APos);
    if (site)
      AHandle = site->GetHandle();
    return site;
  }
  for (HWND wnd = WindowFromPoint(APos); wnd; wnd = GetParent(wnd))
    if (FindControl(wnd)) {
      AHandle = wnd;
      break;
    }
  return reinterpret_cast<TObject*>(DragMessage(AHandle, dmFindTarget, DragState().Object, nullptr, APos));
}

// The nearest showing dock site at the point, not the dragged control or
// one inside it.
TWinControl* ControlsDragMachine::FindDockSite(const TPoint& APos)
{
  TControl* dragged = DragState().Control;
  TWinControl* control = FindVCLWindow(APos);
  for (; control; control = control->FParent) {
    const bool insideDragged = rtl::Is<TWinControl>(dragged) && static_cast<TWinControl*>(dragged)->ContainsControl(control);
    if (control->GetDockSite() && control->IsShowing() && !insideDragged)
      return control;
  }
  return nullptr;
}

LRESULT ControlsDragMachine::DragMessage(HWND AHandle, TDragMessage AMessage, TDragObject* ASource,
                                         TObject* ATarget, const TPoint& APos)
{
  if (!AHandle)
    return 0;
  TDragRec rec{APos, ASource, ATarget, rtl::Is<TDragDockObject>(ASource)};
  return SendMessageW(AHandle, CM_DRAG, AMessage, reinterpret_cast<LPARAM>(&rec));
}

bool ControlsDragMachine::DoDragOver(TDragMessage AMessage)
{
  TDragObject* object = DragState().Object;
  if (!object || !object->FDragTarget)
    return false;
  return DragMessage(object->FDragHandle, AMessage, object, object->FDragTarget, object->FDragPos) != 0;
}

// Nothing happens until the mouse has left the threshold square around
// the start; from then on every move asks the control under the mouse.
void ControlsDragMachine::DragTo(const TPoint& APos)
{
  ControlsDragState& state = DragState();
  TDragObject* object = state.Object;
  if (!object)
    return;
  if (state.Active == ControlsDragOperation::None && std::abs(state.StartPos.x - APos.x) < state.Threshold &&
      std::abs(state.StartPos.y - APos.y) < state.Threshold)
    return;
  if (state.Active == ControlsDragOperation::None)
    state.Active = rtl::Is<TDragDockObject>(object) ? ControlsDragOperation::Dock : ControlsDragOperation::Drag;
  HWND handle = nullptr;
  TObject* target = FindTarget(APos, handle);
  // A handler may end the drag at any step; then nothing more is asked.
  if (target != object->FDragTarget) {
    DoDragOver(dmDragLeave);
    if (state.Object != object)
      return;
    object->FDragTarget = target;
    object->FDragHandle = handle;
    object->FDragPos = APos;
    if (rtl::Is<TControl>(target))
      object->FDragTargetPos = static_cast<TControl*>(target)->ScreenToClient(APos);
    DoDragOver(dmDragEnter);
    if (state.Object != object)
      return;
  }
  object->FDragPos = APos;
  if (rtl::Is<TControl>(object->FDragTarget))
    object->FDragTargetPos = static_cast<TControl*>(object->FDragTarget)->ScreenToClient(APos);
  const bool accepted = DoDragOver(dmDragMove);
  if (state.Object != object)
    return;
  ShowFeedback(object, object->FDragTarget, accepted, APos);
}

// The image follows the mouse over controls that show drag images (and
// over no control at all); the cursor tells whether a drop is accepted.
void ControlsDragMachine::ShowFeedback(TDragObject* AObject, TObject* ATarget, bool AAccepted, const TPoint& APos)
{
  ControlsDragState& state = DragState();
  const TCursor cursor = AObject->GetDragCursor(AAccepted, APos.x, APos.y);
  if (TDragImageList* images = state.Images) {
    const bool showImage = !ATarget || AObject->FAlwaysShowDragImages ||
                           (rtl::Is<TControl>(ATarget) &&
                            static_cast<TControl*>(ATarget)->GetControlStyle().Contains(csDisplayDragImage));
    if (!showImage)
      images->EndDrag();
    else if (!images->GetDragging())
      images->BeginDrag(GetDesktopWindow(), APos.x, APos.y);
    else
      images->DragMove(APos.x, APos.y);
  }
  ::SetCursor(Screen()->GetCursors(cursor));
}

void ControlsDragMachine::ReleaseCaptureWindow(TDragObject* AObject)
{
  const HWND window = AObject->FCaptureWindow;
  if (!window)
    return;
  // Releasing sends WM_CAPTURECHANGED to the window, which cancels a drag
  // that is not ending already.
  if (GetCapture() == window)
    ReleaseCapture();
  rtl::DeallocateHWnd(window);
  AObject->FCaptureWindow = nullptr;
}

// The target has the last word (dsDragLeave) on whether it takes the drop;
// then it hears of the drop or the cancel, and the object of the end
// (Finished). The drag is over for everyone (Dragging false) before any of
// these handlers runs. A target freed by a handler takes no drop and is
// reported as nil; a freed control or object hears of nothing more.
void ControlsDragMachine::Done(bool ADrop)
{
  ControlsDragState& state = DragState();
  TDragObject* object = state.Object;
  if (!object || object->FCancelling)
    return;
  object->FCancelling = true;
  object->FDropped = ADrop;
  ReleaseCaptureWindow(object);
  const ControlsDragEnding ending(object);
  const bool started = state.Active != ControlsDragOperation::None;
  const bool docking = state.Active == ControlsDragOperation::Dock;
  TPoint targetPos = rtl::Is<TControl>(object->FDragTarget) ? object->FDragTargetPos : object->FDragPos;
  const auto finish = [&] {
    if (state.Object != object)
      return;
    if (state.Images)
      state.Images->EndDrag();
    ::SetCursor(state.SaveCursor);
    state = {};
  };
  const auto release = [&] {
    if (!ending.Alive())
      return;
    object->FCancelling = false;
    if (object->FreeAfterDrag())
      rtl::Free(object);
  };
  bool accepted = false;
  try {
    if (started && object->FDragTarget) {
      accepted = DoDragOver(dmDragLeave) && ADrop && ending.Alive() && object->FDragTarget;
      // A docked control leaves its dock site first, which may refuse.
      if (accepted && docking) {
        TControl* control = static_cast<TDragDockObject*>(object)->GetControl();
        auto* site = static_cast<TWinControl*>(object->FDragTarget);
        accepted = control && (!control->FHostDockSite || control->FHostDockSite->DoUnDock(site, control));
        accepted = accepted && ending.Alive() && object->FDragTarget;
      }
    }
  } catch (...) {
    finish();
    release();
    throw;
  }
  finish();
  if (!ending.Alive())
    return;
  const bool freeObject = object->FreeAfterDrag();
  try {
    if (!accepted) {
      object->FDragPos = {0, 0};
      targetPos = {0, 0};
    }
    if (object->FDragTarget)
      DragMessage(object->FDragHandle, accepted ? dmDragDrop : dmDragCancel, object, object->FDragTarget,
                  object->FDragPos);
    if (!ending.Alive())
      return;
    object->FCancelling = false;
    object->Finished(object->FDragTarget, targetPos.x, targetPos.y, accepted);
  } catch (...) {
    release();
    throw;
  }
  // Finished may have freed an object the framework does not own.
  if (freeObject && ending.Alive())
    rtl::Free(object);
}

void ControlsDragMachine::Cancel()
{
  ControlsDragState& state = DragState();
  if (state.Object)
    Done(false);
  else
    state.Control = nullptr;
}

// The object no longer names a control that goes.
void ControlsDragMachine::ForgetControl(TDragObject* AObject, TControl* AControl)
{
  if (AObject->FDragTarget == AControl) {
    AObject->FDragTarget = nullptr;
    AObject->FDragHandle = nullptr;
  }
  if (!rtl::Is<TBaseDragControlObject>(AObject))
    return;
  auto* controlObject = static_cast<TBaseDragControlObject*>(AObject);
  if (controlObject->GetControl() == AControl)
    controlObject->SetControl(nullptr);
}

void ControlsDragMachine::ControlDestroying(TControl* AControl)
{
  ControlsDragState& state = DragState();
  for (TDragObject* object : EndingDrags())
    if (object)
      ForgetControl(object, AControl);
  if (TDragObject* object = state.Object)
    ForgetControl(object, AControl);
  // The drag ends without telling the control, which is half gone.
  if (state.Control == AControl)
    Cancel();
  if (AControl->FHostDockSite)
    std::erase(AControl->FHostDockSite->FDockClients, AControl);
  if (rtl::Is<TWinControl>(AControl))
    for (TControl* client : static_cast<TWinControl*>(AControl)->FDockClients)
      client->FHostDockSite = nullptr;
}

// An object freed by its owner while its drag runs ends the drag quietly.
void ControlsDragMachine::ObjectDestroying(TDragObject* AObject)
{
  ControlsDragState& state = DragState();
  if (state.Object == AObject) {
    AObject->FCancelling = true;
    if (state.Images)
      state.Images->EndDrag();
    ::SetCursor(state.SaveCursor);
    state = {};
  }
  for (TDragObject*& object : EndingDrags())
    if (object == AObject)
      object = nullptr;
  ReleaseCaptureWindow(AObject);
}

void ControlsDragMachine::WndProc(TDragObject* AObject, TMessage& AMessage)
{
  // Every step may end the drag, and the end may free the object: nothing
  // touches it after Done or DragTo.
  switch (AMessage.Msg) {
    case WM_MOUSEMOVE: {
      const TWMMouse& mouse = MessageAs<TWMMouse>(AMessage);
      TPoint pos = mouse.Pos();
      ClientToScreen(AObject->FCaptureWindow, &pos);
      DragTo(pos);
      return;
    }
    case WM_LBUTTONUP:
      Done(true);
      return;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_CAPTURECHANGED:
      Done(false);
      return;
    case CN_KEYDOWN:
      if (AMessage.WParam == VK_ESCAPE) {
        AMessage.Result = 1;
        Done(false);
        return;
      }
      [[fallthrough]];
    case CN_KEYUP:
      // Ctrl changes what a drop would do (copy or move): ask again.
      if (AMessage.WParam == VK_CONTROL)
        DragTo(AObject->FDragPos);
      return;
    default:
      AMessage.Result = DefWindowProcW(AObject->FCaptureWindow, AMessage.Msg, AMessage.WParam, AMessage.LParam);
      return;
  }
}

// ---------------------------------------------------------------------------
// Drag objects

void TDragObject::Destroy()
{
  ControlsDragMachine::ObjectDestroying(this);
  inherited::Destroy();
}

TCursor TDragObject::GetDragCursor(bool AAccepted, int /*X*/, int /*Y*/)
{
  return AAccepted ? crDrag : crNoDrop;
}

void TDragObject::HideDragImage()
{
  if (DragState().Object == this && DragState().Images)
    DragState().Images->HideDragImage();
}

void TDragObject::ShowDragImage()
{
  if (DragState().Object == this && DragState().Images)
    DragState().Images->ShowDragImage();
}

void TDragObject::WndProc(TMessage& AMessage)
{
  ControlsDragMachine::WndProc(this, AMessage);
}

void TDragObject::MainWndProc(TMessage& AMessage)
{
  WndProc(AMessage);
}

// A control freed during its drag is no longer told of the end.
void TBaseDragControlObject::Finished(TObject* ATarget, int X, int Y, bool AAccepted)
{
  if (!FControl)
    return;
  if (!AAccepted) {
    FControl->DragCanceled();
    ATarget = nullptr;
  }
  EndDrag(ATarget, X, Y);
}

void TBaseDragControlObject::EndDrag(TObject* ATarget, int X, int Y)
{
  FControl->DoEndDrag(ATarget, X, Y);
}

TCursor TDragControlObject::GetDragCursor(bool AAccepted, int /*X*/, int /*Y*/)
{
  return AAccepted ? GetControl()->GetDragCursor() : crNoDrop;
}

TDragImageList* TDragControlObject::GetDragImages()
{
  return GetControl()->GetDragImages();
}

void TDragDockObject::EndDrag(TObject* ATarget, int X, int Y)
{
  GetControl()->DoEndDock(ATarget, X, Y);
}

void CancelDrag()
{
  ControlsDragMachine::Cancel();
}

HWND detail::DragCaptureWindow()
{
  const TDragObject* object = DragState().Object;
  return object ? object->GetCaptureWindow() : nullptr;
}

// ---------------------------------------------------------------------------
// TControl: drag and drop

void TControl::BeginDrag(bool AImmediate, int AThreshold)
{
  TPoint pos{};
  ::GetCursorPos(&pos);
  ControlsDragMachine::BeginDrag(this, AImmediate, AThreshold, pos);
}

// A press on a control with DragMode dmAutomatic: the drag starts where the
// button went down.
void TControl::BeginAutoDrag(const TPoint& AClientPos)
{
  ControlsDragMachine::BeginDrag(this, Mouse()->GetDragImmediate(), Mouse()->GetDragThreshold(),
                                 ClientToScreen(AClientPos));
}

void TControl::EndDrag(bool ADrop)
{
  if (Dragging())
    ControlsDragMachine::Done(ADrop);
}

bool TControl::Dragging() const
{
  return DragState().Object && DragState().Control == this;
}

void TControl::DoStartDrag(TDragObject*& ADragObject)
{
  if (FOnStartDrag)
    FOnStartDrag(this, ADragObject);
}

void TControl::DoEndDrag(TObject* ATarget, int X, int Y)
{
  if (FOnEndDrag)
    FOnEndDrag(this, ATarget, X, Y);
}

void TControl::DragOver(TObject* ASource, int X, int Y, TDragState AState, bool& AAccept)
{
  AAccept = false;
  if (FOnDragOver) {
    AAccept = true;
    FOnDragOver(this, ASource, X, Y, AState, AAccept);
  }
}

void TControl::DragDrop(TObject* ASource, int X, int Y)
{
  if (FOnDragDrop)
    FOnDragDrop(this, ASource, X, Y);
}

// The handlers see the dragged control as Source when the framework made
// the drag object; a dock site sees the dock object.
void TControl::DoDragMsg(TCMDrag& ADragMsg)
{
  const TDragRec& rec = *ADragMsg.DragRec;
  TObject* source = rec.Source;
  auto* dockSource = rtl::Is<TDragDockObject>(source) ? static_cast<TDragDockObject*>(source) : nullptr;
  if (rtl::Is<TDragControlObjectEx>(source))
    source = static_cast<TDragControlObjectEx*>(source)->GetControl();
  auto* site = rtl::Is<TWinControl>(this) ? static_cast<TWinControl*>(this) : nullptr;
  const TPoint pos = ScreenToClient(rec.Pos);
  switch (ADragMsg.DragMessage) {
    case dmDragEnter:
    case dmDragLeave:
    case dmDragMove: {
      const auto state = static_cast<TDragState>(ADragMsg.DragMessage);
      bool accept = true;
      if (!dockSource)
        DragOver(source, pos.x, pos.y, state, accept);
      else if (site)
        site->DockOver(dockSource, pos.x, pos.y, state, accept);
      else
        accept = false;
      ADragMsg.Result = accept ? 1 : 0;
      break;
    }
    case dmDragDrop:
      if (!dockSource)
        DragDrop(source, pos.x, pos.y);
      else if (site)
        site->DockDrop(dockSource, pos.x, pos.y);
      break;
    default:
      break;
  }
}

// The window asked is the one under the mouse; its non-windowed child at
// the point is the target then.
void TWinControl::CMDrag(TCMDrag& AMessage)
{
  const TDragRec& rec = *AMessage.DragRec;
  switch (AMessage.DragMessage) {
    case dmDragEnter:
    case dmDragLeave:
    case dmDragMove:
    case dmDragDrop:
      if (rtl::Is<TControl>(rec.Target))
        static_cast<TControl*>(rec.Target)->DoDragMsg(AMessage);
      break;
    case dmFindTarget: {
      TControl* control = ControlAtPos(ScreenToClient(rec.Pos), false);
      AMessage.Result = reinterpret_cast<LRESULT>(static_cast<TObject*>(control ? control : this));
      break;
    }
    default:
      break;
  }
}

void TControl::ForgetDragAndDock()
{
  ControlsDragMachine::ControlDestroying(this);
}

// ---------------------------------------------------------------------------
// Context popup

void TControl::SetPopupMenu(TPopupMenu* AValue)
{
  if (AValue == FPopupMenu)
    return;
  if (FPopupMenu)
    FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = AValue;
  if (FPopupMenu)
    FPopupMenu->FreeNotification(this);
}

void TControl::DoContextPopup(TPoint AMousePos, bool& AHandled)
{
  if (FOnContextPopup)
    FOnContextPopup(this, AMousePos, AHandled);
}

// OnContextPopup first; unless it handled the request, the popup menu
// (AutoPopup) shows for this control at the mouse, or at the client
// origin when the keyboard asked. A point outside the client area (a
// scroll bar, the caption) is the window's own business.
void TControl::WMContextMenu(TWMContextMenu& AMessage)
{
  if (AMessage.Result != 0)
    return;
  if (GetComponentState().Contains(csDesigning)) {
    InheritedMessage(this, AMessage);
    return;
  }
  const TPoint screenPos = AMessage.Pos();
  TPoint mousePos = screenPos;
  if (!IsKeyboardPoint(screenPos)) {
    mousePos = ScreenToClient(screenPos);
    const TRect client = GetClientRect();
    if (!PtInRect(&client, mousePos)) {
      InheritedMessage(this, AMessage);
      return;
    }
  }
  bool handled = false;
  DoContextPopup(mousePos, handled);
  if (handled) {
    AMessage.Result = 1;
    return;
  }
  TPopupMenu* menu = GetPopupMenu();
  if (menu && menu->GetAutoPopup()) {
    SendCancelMode(nullptr);
    menu->SetPopupComponent(this);
    const TPoint at = IsKeyboardPoint(screenPos) ? ClientToScreen(TPoint{0, 0}) : screenPos;
    AMessage.Result = 1;
    menu->Popup(at.x, at.y);
    return;
  }
  InheritedMessage(this, AMessage);
}

// A mouse request over a non-windowed child is the child's first.
void TWinControl::WMContextMenu(TWMContextMenu& AMessage)
{
  if (AMessage.Result != 0)
    return;
  const TPoint screenPos = AMessage.Pos();
  if (!IsKeyboardPoint(screenPos))
    if (TControl* child = ControlAtPos(ScreenToClient(screenPos), false))
      AMessage.Result = child->Perform(WM_CONTEXTMENU, 0, reinterpret_cast<TMessage&>(AMessage).LParam);
  if (AMessage.Result == 0)
    InheritedMessage(this, AMessage);
}

}  // namespace vcl
