// The base control's drag and drop: its own operations inside one control,
// run through a drag-and-drop object, and the framework's dragging of the
// whole control.
#include "controls/cxControls.h"
#include "core/cxGeometry.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/ImgList.h"

using enum TcxDragAndDropState;

namespace {

// The framework drag object over one of the system's controls. A plain
// pointer: set and cleared by the controls' DragOver.
vcl::TDragObject* GDragObject = nullptr;

}  // namespace

vcl::TDragObject* cxGetDragObject()
{
  return GDragObject;
}

// ---------------------------------------------------------------------------
// TcxDragAndDropObject

void TcxDragAndDropObject::Create(TcxControl* AControl)
{
  inherited::Create();
  FControl = AControl;
  FCanvas = AControl ? AControl->GetCanvas() : nullptr;
  CurMousePos = TPoint{-1, -1};
  PrevMousePos = TPoint{-1, -1};
}

void TcxDragAndDropObject::SetDirty(bool AValue)
{
  if (FDirty == AValue)
    return;
  FDirty = AValue;
  DirtyChanged();
}

void TcxDragAndDropObject::DoBeginDragAndDrop()
{
  BeforeBeginDragAndDrop();
  CurMousePos = TranslateCoords(GetClientCursorPos());
  PrevMousePos = CurMousePos;
  BeginDragAndDrop();
}

void TcxDragAndDropObject::DoDragAndDrop(const TPoint& P, bool& AAccepted)
{
  PrevMousePos = CurMousePos;
  CurMousePos = TranslateCoords(P);
  DragAndDrop(CurMousePos, AAccepted);
}

void TcxDragAndDropObject::DoEndDragAndDrop(bool AAccepted)
{
  EndDragAndDrop(AAccepted);
  AfterDragAndDrop(AAccepted);
}

bool TcxDragAndDropObject::DoProcessKeyDown(vcl::TWMKey& AMessage)
{
  return ProcessKeyDown(AMessage.CharCode, vcl::KeyDataToShiftState(AMessage.KeyData));
}

bool TcxDragAndDropObject::DoProcessKeyUp(vcl::TWMKey& AMessage)
{
  return ProcessKeyUp(AMessage.CharCode, vcl::KeyDataToShiftState(AMessage.KeyData));
}

TPoint TcxDragAndDropObject::GetClientCursorPos()
{
  if (FControl)
    return FControl->GetMouseClientPos();
  POINT p{};
  GetCursorPos(&p);
  return p;
}

vcl::TCursor TcxDragAndDropObject::GetDragAndDropCursor(bool AAccepted)
{
  return AAccepted ? vcl::crDrag : vcl::crNoDrop;
}

void TcxDragAndDropObject::DragAndDrop(const TPoint& /*P*/, bool& AAccepted)
{
  SetDirty(false);
  vcl::Screen()->SetCursor(GetDragAndDropCursor(AAccepted));
}

void TcxDragAndDropObject::EndDragAndDrop(bool /*AAccepted*/)
{
  SetDirty(true);
}

TPoint TcxDragAndDropObject::TranslateCoords(const TPoint& P)
{
  return cxPointScale(P, 100, GetZoomFactor());
}

// ---------------------------------------------------------------------------
// TcxDragControlObject

void TcxDragControlObject::Finished(rtl::TObject* ATarget, int X, int Y, bool AAccepted)
{
  inherited::Finished(ATarget, X, Y, AAccepted);
  rtl::Free(this);
}

vcl::TCursor TcxDragControlObject::GetDragCursor(bool AAccepted, int X, int Y)
{
  vcl::TControl* control = GetControl();
  if (AAccepted && rtl::Is<TcxControl>(control) && static_cast<TcxControl*>(control)->IsCopyDragDrop())
    return crcxDragCopy;
  return inherited::GetDragCursor(AAccepted, X, Y);
}

// ---------------------------------------------------------------------------
// TcxControl: the drag-and-drop states

TcxDragAndDropObject* TcxControl::GetDragAndDropObject()
{
  if (!FDragAndDropObject)
    FDragAndDropObject = CreateDragAndDropObject();
  return FDragAndDropObject;
}

rtl::ClassOf<TcxDragAndDropObject> TcxControl::GetDragAndDropObjectClass()
{
  return FDragAndDropObjectClass ? FDragAndDropObjectClass
                                 : rtl::ClassOf<TcxDragAndDropObject>::Of<TcxDragAndDropObject>();
}

TcxDragAndDropObject* TcxControl::CreateDragAndDropObject()
{
  return GetDragAndDropObjectClass().Create(this);
}

bool TcxControl::IsImmediateDragAndDropStart()
{
  return GetDragAndDropObject()->GetImmediateStart();
}

bool TcxControl::IsCopyDragDrop()
{
  return GetAsyncKeyState(VK_CONTROL) < 0;
}

void TcxControl::SetDragAndDropState(TcxDragAndDropState AValue)
{
  FDragAndDropState = AValue;
  if (AValue == ddsNone && !FFinishingDragAndDrop)
    CancelMouseOperations();
}

void TcxControl::BeginDragAndDrop()
{
  GetDragAndDropObject()->DoBeginDragAndDrop();
  SetMouseCapture(true);
  FDragAndDropPrevCursor = vcl::Screen()->GetCursor();
  FDragAndDropState = ddsInProcess;
}

void TcxControl::DragAndDrop(const TPoint& P, bool& AAccepted)
{
  GetDragAndDropObject()->DoDragAndDrop(P, AAccepted);
}

void TcxControl::EndDragAndDrop(bool AAccepted)
{
  GetDragAndDropObject()->DoEndDragAndDrop(AAccepted);
}

// A handler of the end may free the control: nothing touches it then.
void TcxControl::FinishDragAndDrop(bool AAccepted)
{
  if (FFinishingDragAndDrop)
    return;
  rtl::TFreeWatch watch(this);
  FFinishingDragAndDrop = true;
  struct TReset {
    rtl::TFreeWatch& Watch;
    bool& Flag;
    ~TReset()
    {
      if (!Watch.Freed())
        Flag = false;
    }
  } reset{watch, FFinishingDragAndDrop};
  DoFinishDragAndDrop(AAccepted);
}

void TcxControl::DoFinishDragAndDrop(bool AAccepted)
{
  rtl::TFreeWatch watch(this);
  struct TFreeObject {
    rtl::TFreeWatch& Watch;
    TcxDragAndDropObject*& Object;
    ~TFreeObject()
    {
      if (!Watch.Freed())
        rtl::FreeAndNil(Object);
    }
  } freeObject{watch, FDragAndDropObject};
  if (FDragAndDropState != ddsInProcess) {
    SetDragAndDropState(ddsNone);
    return;
  }
  // The control's side is restored before the steps run, so that an
  // override of EndDragAndDrop cannot leave the operation half open.
  FDragAndDropState = ddsNone;
  vcl::Screen()->SetCursor(FDragAndDropPrevCursor);
  SetMouseCapture(false);
  SetMouseCaptureObject(nullptr);
  EndDragAndDrop(AAccepted);
}

// ---------------------------------------------------------------------------
// TcxControl: the framework's dragging

rtl::ClassOf<vcl::TDragObject> TcxControl::GetDragObjectClass()
{
  return rtl::ClassOf<vcl::TDragObject>::Of<TcxDragControlObject>();
}

void TcxControl::DoStartDrag(vcl::TDragObject*& ADragObject)
{
  Update();
  inherited::DoStartDrag(ADragObject);
  if (ADragObject)
    return;
  if (const rtl::ClassOf<vcl::TDragObject> objectClass = GetDragObjectClass()) {
    if (objectClass.InheritsFrom(vcl::TBaseDragControlObject::StaticClass()))
      ADragObject = rtl::ClassOf<vcl::TBaseDragControlObject>(objectClass).Create(this);
    else
      ADragObject = objectClass.Create();
  }
  if (ADragObject && !StartDrag(ADragObject)) {
    rtl::FreeAndNil(ADragObject);
    vcl::CancelDrag();
  }
}

void TcxControl::DoEndDrag(rtl::TObject* ATarget, int X, int Y)
{
  rtl::TFreeWatch watch(this);
  inherited::DoEndDrag(ATarget, X, Y);
  if (!watch.Freed())
    rtl::FreeAndNil(FDragImages);
}

void TcxControl::DragOver(rtl::TObject* ASource, int X, int Y, vcl::TDragState AState, bool& AAccept)
{
  GDragObject = AState == vcl::TDragState::dsDragLeave || !rtl::Is<vcl::TDragObject>(ASource)
                    ? nullptr
                    : static_cast<vcl::TDragObject*>(ASource);
  inherited::DragOver(ASource, X, Y, AState, AAccept);
}

vcl::TDragImageList* TcxControl::GetDragImages()
{
  if (!HasDragImages())
    return nullptr;
  if (!FDragImages) {
    FDragImages = rtl::New<vcl::TDragImageList>(static_cast<rtl::TComponent*>(nullptr));
    InitDragImages(FDragImages);
  }
  return FDragImages->GetCount() > 0 ? FDragImages : nullptr;
}

void TcxControl::InitDragImages(vcl::TDragImageList* AList)
{
  TSize size;
  GetDragImagesSize(size);
  if (size.cx <= 0 || size.cy <= 0) {
    AList->Clear();
    return;
  }
  AList->SetSize(size.cx, size.cy);
  rtl::TOwnedPtr<TcxBitmap> bitmap(rtl::New<TcxBitmap>());
  bitmap->SetSize(size.cx, size.cy);
  DrawDragImage(bitmap->GetcxCanvas(), TRect{0, 0, size.cx, size.cy});
  AList->AddMasked(bitmap.get(), bitmap->GetTransparentColor());
}
