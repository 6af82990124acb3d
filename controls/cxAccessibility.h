// The accessible objects of the system's user interface: a real COM object
// (IAccessible with IDispatch, IOleWindow) that screen readers reach through
// oleacc, answering every call through a few virtual operations that a
// descendant overrides for its control, bar or item.
// - TcxAccessibilityHelper: the generic object. Its owner (the described
//   object) keeps one reference and calls OwnerObjectDestroyed when it dies;
//   clients may hold the object longer, and from then on every call answers
//   CO_E_OBJNOTCONNECTED with cleared outputs and touches nothing of the
//   owner.
// - TcxControlAccessibilityHelper: the client area of a windowed control.
// - the unit's start-up binds AccessibleObjectFromWindow and
//   LresultFromObject from oleacc.dll; both are nil when it is missing.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include "core/dxTypeHelpers.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/vcl/ActnList.h"

namespace vcl {
class TWinControl;
}

class TcxAccessibilityHelper;

RTL_DECLARE_UNIT(cxAccessibility);

// The platform's IAccessible under the system's name.
using IcxAccessible = IAccessible;

// What an owner holds of its accessible object.
struct IcxAccessibilityHelper : rtl::IInterface {
  RTL_GUID(IcxAccessibilityHelper, "{D4890860-09B2-4648-BD9E-DFFBD140E5F1}")
  virtual TcxAccessibilityHelper* __stdcall GetHelper() = 0;
  virtual void __stdcall OwnerObjectDestroyed() = 0;
};

// 0 addresses the object itself, N its child of index N - 1.
using TcxAccessibleSimpleChildElementID = int;

enum TcxAccessibilityNavigationDirection { andLeft, andUp, andRight, andDown, andPrev, andNext };

// The properties an element announces (GetSupportedProperties); a member
// whose property is missing answers DISP_E_MEMBERNOTFOUND.
using TcxAccessibleObjectProperties = unsigned;
inline constexpr TcxAccessibleObjectProperties aopDefaultAction = 0x01;
inline constexpr TcxAccessibleObjectProperties aopDescription = 0x02;
inline constexpr TcxAccessibleObjectProperties aopFocus = 0x04;
// Also hit testing and navigation.
inline constexpr TcxAccessibleObjectProperties aopLocation = 0x08;
inline constexpr TcxAccessibleObjectProperties aopShortcut = 0x10;
inline constexpr TcxAccessibleObjectProperties aopValue = 0x20;

// GetHitTest's answers.
inline constexpr int cxAccessibleObjectHitTestNone = 0;
inline constexpr int cxAccessibleObjectHitTestSelf = 1;
inline constexpr int cxAccessibleObjectHitTestChild = 2;

// The bound oleacc functions; nil when the library or the function is
// missing.
using TcxAccessibleObjectFromWindowFunc = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
using TcxLresultFromObjectFunc = LRESULT(WINAPI*)(REFIID, WPARAM, IUnknown*);
TcxAccessibleObjectFromWindowFunc cxAccessibleObjectFromWindow();
TcxLresultFromObjectFunc cxLresultFromObject();

class TcxAccessibilityHelper : public rtl::TInterfacedObject,
                               public IcxAccessibilityHelper,
                               public IAccessible,
                               public IOleWindow {
  RTL_CLASS(TcxAccessibilityHelper, rtl::TInterfacedObject)
  RTL_INTERFACE_TABLE(IcxAccessibilityHelper, IAccessible, IDispatch, IOleWindow)

 public:
  virtual void Create(rtl::TObject* AOwnerObject);

  HRESULT __stdcall QueryInterface(REFIID AIID, void** AObj) override;
  ULONG __stdcall AddRef() override { return inherited::AddRef(); }
  // Clients release from outside the system's exception handling.
  ULONG __stdcall Release() override;

  // --- IcxAccessibilityHelper
  TcxAccessibilityHelper* __stdcall GetHelper() override { return this; }
  // Owners call it as they die; descendants that override it call it too.
  void __stdcall OwnerObjectDestroyed() override;

  // The first child after (AGoForward) or before AStartIndex whose helper is
  // Selectable; -1 when none. A negative AStartIndex starts before the first
  // or after the last child; one at or past ChildCount raises EdxException.
  int GetNextSelectableChildIndex(int AStartIndex, bool AGoForward);
  // The top of the chain of Parent helpers.
  TcxAccessibilityHelper* GetRootHelper();
  bool IsOwnerObjectLive() const { return FIsOwnerObjectLive; }
  rtl::TObject* OwnerObject() const { return FOwnerObject; }
  // The object itself lacks STATE_SYSTEM_INVISIBLE.
  bool Visible();

  // --- the operations descendants override, with the object's answers
  // True for a child served through this object's child ids; a descendant
  // with children must answer.
  virtual bool ChildIsSimpleElement(int AIndex);
  virtual void DoDefaultAction(TcxAccessibleSimpleChildElementID AChildID);
  // True when the object or (AIsChildFocused) its child AChildIndex has the
  // focus.
  virtual bool GetFocusedObject(bool& AIsChildFocused, int& AChildIndex);
  virtual TcxAccessibilityHelper* GetChild(int AIndex);
  virtual int GetChildCount() { return 0; }
  virtual int GetChildIndex(TcxAccessibilityHelper* AChild);
  virtual rtl::String GetDefaultActionDescription(TcxAccessibleSimpleChildElementID AChildID);
  virtual rtl::String GetDescription(TcxAccessibleSimpleChildElementID AChildID);
  // One of the cxAccessibleObjectHitTest answers, with AChildIndex for a
  // child.
  virtual int GetHitTest(int AScreenX, int AScreenY, int& AChildIndex);
  virtual void GetKeyboardAccessParameters(TcxAccessibleSimpleChildElementID AChildID, vcl::TShortCut& AShortCut,
                                           rtl::String& ACaption);
  virtual rtl::String GetName(TcxAccessibleSimpleChildElementID AChildID);
  virtual HWND GetOwnerObjectWindow() { return nullptr; }
  virtual TcxAccessibilityHelper* GetParent() { return nullptr; }
  virtual int GetRole(TcxAccessibleSimpleChildElementID AChildID);
  virtual bool GetSelectable() { return false; }
  virtual int GetState(TcxAccessibleSimpleChildElementID AChildID);
  virtual TcxAccessibleObjectProperties GetSupportedProperties(TcxAccessibleSimpleChildElementID AChildID);
  virtual rtl::String GetValue(TcxAccessibleSimpleChildElementID AChildID);
  // The child reached from ACurrentChildIndex in ADirection.
  virtual int NavigateToChild(int ACurrentChildIndex, TcxAccessibilityNavigationDirection ADirection);
  virtual void SetValue(TcxAccessibleSimpleChildElementID AChildID, const rtl::String& AValue);
  virtual TRect GetScreenBounds(TcxAccessibleSimpleChildElementID AChildID);

  // --- IDispatch: no type information; clients use the vtable.
  HRESULT __stdcall GetTypeInfoCount(UINT* pctinfo) override;
  HRESULT __stdcall GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
  HRESULT __stdcall GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                  DISPID* rgDispId) override;
  HRESULT __stdcall Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                           VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

  // --- IAccessible
  HRESULT __stdcall get_accParent(IDispatch** ppdispParent) override;
  HRESULT __stdcall get_accChildCount(long* pcountChildren) override;
  HRESULT __stdcall get_accChild(VARIANT varChildID, IDispatch** ppdispChild) override;
  HRESULT __stdcall get_accName(VARIANT varID, BSTR* pszName) override;
  HRESULT __stdcall get_accValue(VARIANT varID, BSTR* pszValue) override;
  HRESULT __stdcall get_accDescription(VARIANT varID, BSTR* pszDescription) override;
  HRESULT __stdcall get_accRole(VARIANT varID, VARIANT* pvarRole) override;
  HRESULT __stdcall get_accState(VARIANT varID, VARIANT* pvarState) override;
  HRESULT __stdcall get_accHelp(VARIANT varID, BSTR* pszHelp) override;
  HRESULT __stdcall get_accHelpTopic(BSTR* pszHelpFile, VARIANT varID, long* pidTopic) override;
  HRESULT __stdcall get_accKeyboardShortcut(VARIANT varID, BSTR* pszKeyboardShortcut) override;
  HRESULT __stdcall get_accFocus(VARIANT* pvarID) override;
  HRESULT __stdcall get_accSelection(VARIANT* pvarChildren) override;
  HRESULT __stdcall get_accDefaultAction(VARIANT varID, BSTR* pszDefaultAction) override;
  HRESULT __stdcall accSelect(long flagsSelect, VARIANT varID) override;
  HRESULT __stdcall accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varID) override;
  HRESULT __stdcall accNavigate(long navDir, VARIANT varStart, VARIANT* pvarEnd) override;
  HRESULT __stdcall accHitTest(long xLeft, long yTop, VARIANT* pvarID) override;
  HRESULT __stdcall accDoDefaultAction(VARIANT varID) override;
  HRESULT __stdcall put_accName(VARIANT varID, BSTR pszName) override;
  HRESULT __stdcall put_accValue(VARIANT varID, BSTR pszValue) override;

  // --- IOleWindow
  HRESULT __stdcall GetWindow(HWND* phwnd) override;
  HRESULT __stdcall ContextSensitiveHelp(BOOL fEnterMode) override;

 protected:
  // The element a client's child id addresses: S_OK for the object itself
  // or a simple child, E_INVALIDARG for anything else (ids out of range,
  // children with an object of their own, variants that are no number).
  HRESULT GetSimpleChildElementID(const VARIANT& AChildID, TcxAccessibleSimpleChildElementID& AElement);
  // A child id to be returned: the child's own object replaces the id of a
  // child that is not a simple element.
  void CheckSimpleChildElementToBeReturned(VARIANT& AValue);

 private:
  // What every IAccessible member does before its own work: E_POINTER for a
  // missing output, the outputs cleared, CO_E_OBJNOTCONNECTED once the
  // owner died; then, inside rtl::GuardCallback (E_FAIL for what the body
  // raises), the element AChildID addresses (CHILDID_SELF without one) and
  // DISP_E_MEMBERNOTFOUND unless it supports ARequired. ABody gets the
  // element.
  template <class TBody, class... TOutputs>
  HRESULT Answer(const VARIANT* AChildID, TcxAccessibleObjectProperties ARequired, TBody&& ABody,
                 TOutputs*... AOutputs);

  bool FIsOwnerObjectLive;
  rtl::TObject* FOwnerObject;
};

using TcxAccessibilityHelperClass = rtl::ClassOf<TcxAccessibilityHelper>;

// The client area of a windowed control: its caption as the name, the
// client role, the state of its window (visible, enabled, focusable,
// focused) and its screen bounds. No children.
class TcxControlAccessibilityHelper : public TcxAccessibilityHelper {
  RTL_CLASS(TcxControlAccessibilityHelper, TcxAccessibilityHelper)

 public:
  vcl::TWinControl* OwnerControl() const;

  bool GetFocusedObject(bool& AIsChildFocused, int& AChildIndex) override;
  rtl::String GetName(TcxAccessibleSimpleChildElementID AChildID) override;
  HWND GetOwnerObjectWindow() override;
  int GetRole(TcxAccessibleSimpleChildElementID AChildID) override;
  int GetState(TcxAccessibleSimpleChildElementID AChildID) override;
  TcxAccessibleObjectProperties GetSupportedProperties(TcxAccessibleSimpleChildElementID AChildID) override;
  int GetHitTest(int AScreenX, int AScreenY, int& AChildIndex) override;
  TRect GetScreenBounds(TcxAccessibleSimpleChildElementID AChildID) override;
};
