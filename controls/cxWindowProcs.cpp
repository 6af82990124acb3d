#include "controls/cxWindowProcs.h"

#include "controls/cxWindowUtils.h"
#include "platform/rtl/ClassesThreads.h"
#include "platform/vcl/Controls.h"

namespace {

// The helper of the chain on a window, while the chain's procedure is
// installed.
constexpr const wchar_t* ChainHelperProp = L"KelvaroWindowProcChain";
// What an orphaned chain procedure forwards to: the procedure from before
// the chain, once the chain has gone while another subclasser kept its own
// procedure over the chain's.
constexpr const wchar_t* ChainForwardProp = L"KelvaroWindowProcChainForward";

}  // namespace

// ---------------------------------------------------------------------------
// TcxWindowProcLinkedObject

void TcxWindowProcLinkedObject::Create(vcl::TControl* AControl)
{
  FControl = AControl;
}

void TcxWindowProcLinkedObject::Create(HWND AHandle)
{
  FHandle = AHandle;
}

void TcxWindowProcLinkedObject::DefaultProc(rtl::TMessage& AMessage)
{
  auto* previous = static_cast<TcxWindowProcLinkedObject*>(FPrev);
  if (previous)
    previous->FWindowProc(AMessage);
}

// ---------------------------------------------------------------------------
// Helpers

void TcxVCLSubclassingHelper::Create(vcl::TControl* AControl)
{
  FControl = AControl;
}

TcxWindowProcLinkedObject* TcxVCLSubclassingHelper::NewChainLink()
{
  return rtl::New<TcxWindowProcLinkedObject>(FControl);
}

void TcxVCLSubclassingHelper::RestoreWindowProc()
{
  FControl->SetWindowProc(FDefaultWindowProc);
}

void TcxVCLSubclassingHelper::ReplaceWindowProc(rtl::TWndMethod AMethod)
{
  FDefaultWindowProc = FControl->GetWindowProc();
  FControl->SetWindowProc(AMethod);
}

void TcxWin32SubclassingHelper::Create(HWND AHandle)
{
  FHandle = AHandle;
}

TcxWindowProcLinkedObject* TcxWin32SubclassingHelper::NewChainLink()
{
  return rtl::New<TcxWindowProcLinkedObject>(FHandle);
}

void TcxWin32SubclassingHelper::ReplaceWindowProc(rtl::TWndMethod AMethod)
{
  FDispatch = AMethod;
  // The property first: the window's next message may come while the
  // procedure is being replaced (SetWindowLongPtr sends none, but a hook
  // might).
  SetPropW(FHandle, ChainHelperProp, this);
  FAPIDefaultWndProc = cxSetWindowProc(FHandle, &cxWindowProcChainWndProc);
  FDefaultWindowProc = rtl::TWndMethod::Bind<&TcxWin32SubclassingHelper::CallDefaultWndProc>(this);
}

void TcxWin32SubclassingHelper::RestoreWindowProc()
{
  RemovePropW(FHandle, ChainHelperProp);
  if (!IsWindow(FHandle) || !FAPIDefaultWndProc)
    return;
  const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(FHandle, GWLP_WNDPROC));
  if (current == &cxWindowProcChainWndProc)
    cxSetWindowProc(FHandle, FAPIDefaultWndProc);
  else
    SetPropW(FHandle, ChainForwardProp, reinterpret_cast<HANDLE>(FAPIDefaultWndProc));
}

void TcxWin32SubclassingHelper::CallDefaultWndProc(rtl::TMessage& AMessage)
{
  AMessage.Result = CallWindowProcW(FAPIDefaultWndProc, FHandle, AMessage.Msg, AMessage.WParam, AMessage.LParam);
}

LRESULT CALLBACK cxWindowProcChainWndProc(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam) noexcept
{
  return rtl::GuardCallback(LRESULT(0), [&] {
    if (auto* helper = static_cast<TcxWin32SubclassingHelper*>(GetPropW(AWnd, ChainHelperProp))) {
      // The chain may go while the message passes through it (its last
      // hook leaves): nothing of it is touched after the call.
      rtl::TMessage message{AMsg, AWParam, ALParam, 0};
      helper->FDispatch(message);
      return message.Result;
    }
    if (auto forward = reinterpret_cast<WNDPROC>(GetPropW(AWnd, ChainForwardProp))) {
      if (AMsg == WM_NCDESTROY)
        RemovePropW(AWnd, ChainForwardProp);
      return CallWindowProcW(forward, AWnd, AMsg, AWParam, ALParam);
    }
    return DefWindowProcW(AWnd, AMsg, AWParam, ALParam);
  });
}

// ---------------------------------------------------------------------------
// TcxWindowProcLinkedObjectList

void TcxWindowProcLinkedObjectList::Create(vcl::TControl* AControl)
{
  FControl = AControl;
  FHelper = rtl::New<TcxVCLSubclassingHelper>(AControl);
  Install();
}

void TcxWindowProcLinkedObjectList::Create(HWND AHandle)
{
  FHandle = AHandle;
  FHelper = rtl::New<TcxWin32SubclassingHelper>(AHandle);
  Install();
}

void TcxWindowProcLinkedObjectList::Destroy()
{
  if (FHelper) {
    FHelper->RestoreWindowProc();
    rtl::FreeAndNil(FHelper);
  }
  inherited::Destroy();
}

TcxDoublyLinkedObject* TcxWindowProcLinkedObjectList::CreateLinkedObject()
{
  return FHelper->NewChainLink();
}

void TcxWindowProcLinkedObjectList::Install()
{
  FHelper->ReplaceWindowProc(rtl::TWndMethod::Bind<&TcxWindowProcLinkedObjectList::Dispatch>(this));
  AddProc(FHelper->GetDefaultWindowProc());
}

TcxWindowProcLinkedObject* TcxWindowProcLinkedObjectList::AddProc(rtl::TWndMethod AWndProc)
{
  auto* link = static_cast<TcxWindowProcLinkedObject*>(Add());
  link->SetWindowProc(AWndProc);
  return link;
}

void TcxWindowProcLinkedObjectList::Dispatch(rtl::TMessage& AMessage)
{
  // A copy: the hook may free this chain before it returns.
  const rtl::TWndMethod newest = static_cast<TcxWindowProcLinkedObject*>(FLast)->GetWindowProc();
  newest(AMessage);
}

// ---------------------------------------------------------------------------
// TcxWindowProcController

void TcxWindowProcController::Create()
{
  FWindowProcObjects = rtl::New<TcxObjectList>(true);
}

void TcxWindowProcController::Destroy()
{
  rtl::FreeAndNil(FWindowProcObjects);
  inherited::Destroy();
}

TcxWindowProcLinkedObject* TcxWindowProcController::Add(vcl::TControl* AControl, rtl::TWndMethod AWndProc)
{
  if (!AControl)
    return nullptr;
  TcxWindowProcLinkedObjectList* chain = FindByControl(AControl);
  if (!chain) {
    chain = rtl::New<TcxWindowProcLinkedObjectList>(AControl);
    FWindowProcObjects->Add(chain);
  }
  return chain->AddProc(AWndProc);
}

TcxWindowProcLinkedObject* TcxWindowProcController::Add(HWND AHandle, rtl::TWndMethod AWndProc)
{
  if (!AHandle)
    return nullptr;
  TcxWindowProcLinkedObjectList* chain = FindByHandle(AHandle);
  if (!chain) {
    chain = rtl::New<TcxWindowProcLinkedObjectList>(AHandle);
    FWindowProcObjects->Add(chain);
  }
  return chain->AddProc(AWndProc);
}

void TcxWindowProcController::Remove(TcxWindowProcLinkedObject*& AWndProcObject)
{
  if (!AWndProcObject)
    return;
  TcxWindowProcLinkedObjectList* chain = AWndProcObject->GetControl() ? FindByControl(AWndProcObject->GetControl())
                                                                      : FindByHandle(AWndProcObject->GetHandle());
  if (!chain)
    return;
  TcxWindowProcLinkedObject* link = AWndProcObject;
  AWndProcObject = nullptr;
  chain->Delete(link);
  if (chain->GetLast() && !chain->GetLast()->GetPrev()) {
    FWindowProcObjects->Remove(chain);
    rtl::Free(chain);
  }
}

TcxWindowProcLinkedObjectList* TcxWindowProcController::Chain(int AIndex) const
{
  return static_cast<TcxWindowProcLinkedObjectList*>(FWindowProcObjects->GetItem(AIndex));
}

TcxWindowProcLinkedObjectList* TcxWindowProcController::FindByControl(vcl::TControl* AControl) const
{
  for (int i = 0; i < FWindowProcObjects->GetCount(); ++i)
    if (Chain(i)->GetControl() == AControl)
      return Chain(i);
  return nullptr;
}

TcxWindowProcLinkedObjectList* TcxWindowProcController::FindByHandle(HWND AHandle) const
{
  for (int i = 0; i < FWindowProcObjects->GetCount(); ++i)
    if (!Chain(i)->GetControl() && Chain(i)->GetHandle() == AHandle)
      return Chain(i);
  return nullptr;
}
