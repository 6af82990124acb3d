// Window-procedure chains: several parts of the system watch the messages of
// windows they do not own. Each window has one chain that replaces its
// procedure once, calls the newest hook first, lets each hook pass the
// message on to the next older one (DefaultProc) and at the end to the
// window's own procedure, and puts that procedure back when its last hook
// leaves. Hooks may leave in any order.
//
// A chain is built on a framework control (through its WindowProc) or on a
// raw window handle (through the window's procedure slot); the two are
// separate chains even for the control's own window. The process-wide
// controller is cxGetWindowProcController (cxControls.h). User-interface
// thread only.
#pragma once

#include <windows.h>

#include "core/cxClasses.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemEvents.h"

namespace vcl {
class TControl;
}

// One link of a chain: the first holds the procedure from before the chain,
// every later one a hook.
class TcxWindowProcLinkedObject : public TcxDoublyLinkedObject {
  RTL_CLASS(TcxWindowProcLinkedObject, TcxDoublyLinkedObject)

 public:
  void Create(vcl::TControl* AControl);
  void Create(HWND AHandle);

  // Called by a hook to pass the message on to the next older hook, or to
  // the window's own procedure. A hook that does not call it swallows the
  // message.
  void DefaultProc(rtl::TMessage& AMessage);

  vcl::TControl* GetControl() const { return FControl; }
  HWND GetHandle() const { return FHandle; }
  rtl::TWndMethod GetWindowProc() const { return FWindowProc; }
  void SetWindowProc(rtl::TWndMethod AValue) { FWindowProc = AValue; }

 private:
  vcl::TControl* FControl;
  HWND FHandle;
  rtl::TWndMethod FWindowProc;
};

// Puts a chain's dispatcher in place of a window's procedure and back.
class TcxSubclassingHelper : public rtl::TObject {
  RTL_CLASS(TcxSubclassingHelper, rtl::TObject)

 public:
  // An unlinked link bound to the helper's control or window.
  virtual TcxWindowProcLinkedObject* NewChainLink() = 0;
  virtual void RestoreWindowProc() = 0;
  // Installs AMethod; FDefaultWindowProc becomes what ran before it.
  virtual void ReplaceWindowProc(rtl::TWndMethod AMethod) = 0;

  rtl::TWndMethod GetDefaultWindowProc() const { return FDefaultWindowProc; }

 protected:
  rtl::TWndMethod FDefaultWindowProc;
};

class TcxVCLSubclassingHelper : public TcxSubclassingHelper {
  RTL_CLASS(TcxVCLSubclassingHelper, TcxSubclassingHelper)

 public:
  void Create(vcl::TControl* AControl);
  TcxWindowProcLinkedObject* NewChainLink() override;
  void RestoreWindowProc() override;
  void ReplaceWindowProc(rtl::TWndMethod AMethod) override;

 private:
  vcl::TControl* FControl;
};

class TcxWin32SubclassingHelper : public TcxSubclassingHelper {
  RTL_CLASS(TcxWin32SubclassingHelper, TcxSubclassingHelper)

 public:
  void Create(HWND AHandle);
  TcxWindowProcLinkedObject* NewChainLink() override;
  // When another procedure was installed over the chain's since, the
  // window keeps it: taking the chain's out from under it would cut that
  // subclasser off. The chain's procedure then only forwards to the one
  // from before the chain.
  void RestoreWindowProc() override;
  void ReplaceWindowProc(rtl::TWndMethod AMethod) override;

 private:
  friend LRESULT CALLBACK cxWindowProcChainWndProc(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam) noexcept;

  void CallDefaultWndProc(rtl::TMessage& AMessage);

  WNDPROC FAPIDefaultWndProc;
  // The chain's dispatcher, which the window procedure calls.
  rtl::TWndMethod FDispatch;
  HWND FHandle;
};

// The chain of one window; owns its helper and its links.
class TcxWindowProcLinkedObjectList : public TcxDoublyLinkedObjectList {
  RTL_CLASS(TcxWindowProcLinkedObjectList, TcxDoublyLinkedObjectList)

 public:
  void Create(vcl::TControl* AControl);
  void Create(HWND AHandle);
  // Restores the window's procedure first, then frees the helper and the
  // links.
  void Destroy() override;

  TcxDoublyLinkedObject* CreateLinkedObject() override;
  // Puts the dispatcher in place and appends the first link.
  virtual void Install();
  // Appends a link holding AWndProc.
  TcxWindowProcLinkedObject* AddProc(rtl::TWndMethod AWndProc);

  vcl::TControl* GetControl() const { return FControl; }
  HWND GetHandle() const { return FHandle; }

 private:
  // The window procedure the chain installs: the newest link's hook.
  void Dispatch(rtl::TMessage& AMessage);

  vcl::TControl* FControl;
  HWND FHandle;
  TcxSubclassingHelper* FHelper;
};

class TcxWindowProcController : public rtl::TObject {
  RTL_CLASS(TcxWindowProcController, rtl::TObject)

 public:
  void Create();
  // Frees every chain, which restores every window procedure.
  void Destroy() override;

  // Hooks the control or the window; nil for a nil control or a zero
  // handle.
  TcxWindowProcLinkedObject* Add(vcl::TControl* AControl, rtl::TWndMethod AWndProc);
  TcxWindowProcLinkedObject* Add(HWND AHandle, rtl::TWndMethod AWndProc);
  // Unhooks and sets the variable to nil; the last hook of a chain frees
  // it. Nil, or a link whose chain is not found, does nothing.
  void Remove(TcxWindowProcLinkedObject*& AWndProcObject);

  int GetChainCount() const { return FWindowProcObjects->GetCount(); }

 private:
  TcxWindowProcLinkedObjectList* FindByControl(vcl::TControl* AControl) const;
  TcxWindowProcLinkedObjectList* FindByHandle(HWND AHandle) const;
  TcxWindowProcLinkedObjectList* Chain(int AIndex) const;

  TcxObjectList* FWindowProcObjects;
};

// The procedure every raw-window chain installs; it finds its chain through
// a window property.
LRESULT CALLBACK cxWindowProcChainWndProc(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam) noexcept;
