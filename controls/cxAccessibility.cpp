#include "controls/cxAccessibility.h"

#include <oleauto.h>

#include "core/dxCore.h"
#include "platform/rtl/ClassesThreads.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/Menus.h"

namespace {

struct TcxAccessibilityBinding {
  HMODULE Library;
  TcxAccessibleObjectFromWindowFunc AccessibleObjectFromWindow;
  TcxLresultFromObjectFunc LresultFromObject;
};

constinit TcxAccessibilityBinding AccessibilityBinding{};

void cxAccessibilityInitialization()
{
  TcxAccessibilityBinding& binding = AccessibilityBinding;
  binding.Library = LoadLibraryW(L"oleacc.dll");
  if (!binding.Library)
    return;
  binding.AccessibleObjectFromWindow = reinterpret_cast<TcxAccessibleObjectFromWindowFunc>(
      GetProcAddress(binding.Library, "AccessibleObjectFromWindow"));
  binding.LresultFromObject =
      reinterpret_cast<TcxLresultFromObjectFunc>(GetProcAddress(binding.Library, "LresultFromObject"));
}

void cxAccessibilityFinalization()
{
  if (AccessibilityBinding.Library)
    FreeLibrary(AccessibilityBinding.Library);
  AccessibilityBinding = {};
}

// The operations a descendant with children must supply.
[[noreturn]] void RaiseNotSupplied()
{
  throw EdxException(L"");
}

// The answer of a call made after the owner died.
constexpr HRESULT kOwnerGone = CO_E_OBJNOTCONNECTED;

VARIANT EmptyVariant()
{
  VARIANT result;
  VariantInit(&result);
  return result;
}

void SetI4(VARIANT& AValue, LONG ANumber)
{
  AValue.vt = VT_I4;
  AValue.lVal = ANumber;
}

// A string for the client, who frees it; nil for an empty one.
BSTR AllocString(const rtl::String& AText)
{
  if (AText.empty())
    return nullptr;
  BSTR result = SysAllocStringLen(AText.c_str(), static_cast<UINT>(AText.size()));
  if (!result)
    throw rtl::EOutOfMemory(L"Out of memory");
  return result;
}

// Names, descriptions and shortcuts: S_FALSE says "none".
HRESULT CheckStringToBeReturned(const rtl::String& AText, BSTR* AOut)
{
  *AOut = AllocString(AText);
  return AText.empty() ? S_FALSE : S_OK;
}

// The character marked with "&" ("&&" is an ampersand); 0 without one.
wchar_t GetHotKeyChar(std::wstring_view text)
{
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != L'&')
      continue;
    if (text[i + 1] != L'&')
      return text[i + 1];
    ++i;
  }
  return 0;
}

// In the user's locale, as the platform's menus match their hot keys.
wchar_t UpperChar(wchar_t AChar)
{
  wchar_t buffer[1] = {AChar};
  CharUpperBuffW(buffer, 1);
  return buffer[0];
}

bool MapNavigationDirection(long ANavDir, TcxAccessibilityNavigationDirection& ADirection)
{
  switch (ANavDir) {
    case NAVDIR_UP: ADirection = andUp; return true;
    case NAVDIR_DOWN: ADirection = andDown; return true;
    case NAVDIR_LEFT: ADirection = andLeft; return true;
    case NAVDIR_RIGHT: ADirection = andRight; return true;
    case NAVDIR_NEXT: ADirection = andNext; return true;
    case NAVDIR_PREVIOUS: ADirection = andPrev; return true;
    default: return false;
  }
}

// A client's variant as a number; false for anything that is none.
bool VariantToInt(const VARIANT& AValue, LONG& ANumber)
{
  if (AValue.vt == VT_I4) {
    ANumber = AValue.lVal;
    return true;
  }
  VARIANT converted = EmptyVariant();
  // A shallow copy: the conversion only reads its source.
  VARIANT source = AValue;
  if (AValue.vt == VT_EMPTY || FAILED(VariantChangeType(&converted, &source, 0, VT_I4)))
    return false;
  ANumber = converted.lVal;
  return true;
}

}  // namespace

RTL_UNIT(cxAccessibility, &cxAccessibilityInitialization, &cxAccessibilityFinalization);

TcxAccessibleObjectFromWindowFunc cxAccessibleObjectFromWindow()
{
  return AccessibilityBinding.AccessibleObjectFromWindow;
}

TcxLresultFromObjectFunc cxLresultFromObject()
{
  return AccessibilityBinding.LresultFromObject;
}

// ---------------------------------------------------------------------------
// TcxAccessibilityHelper

void TcxAccessibilityHelper::Create(rtl::TObject* AOwnerObject)
{
  inherited::Create();
  FOwnerObject = AOwnerObject;
  FIsOwnerObjectLive = true;
}

HRESULT __stdcall TcxAccessibilityHelper::QueryInterface(REFIID AIID, void** AObj)
{
  return inherited::QueryInterface(AIID, AObj);
}

ULONG __stdcall TcxAccessibilityHelper::Release()
{
  return rtl::GuardCallback(ULONG{0}, [this] { return inherited::Release(); });
}

void __stdcall TcxAccessibilityHelper::OwnerObjectDestroyed()
{
  FIsOwnerObjectLive = false;
  FOwnerObject = nullptr;
}

int TcxAccessibilityHelper::GetNextSelectableChildIndex(int AStartIndex, bool AGoForward)
{
  const int count = GetChildCount();
  if (AStartIndex >= count)
    RaiseNotSupplied();
  const int step = AGoForward ? 1 : -1;
  int index = AStartIndex < 0 ? (AGoForward ? -1 : count) : AStartIndex;
  for (index += step; index >= 0 && index < count; index += step) {
    TcxAccessibilityHelper* child = GetChild(index);
    if (child && child->GetSelectable())
      return index;
  }
  return -1;
}

TcxAccessibilityHelper* TcxAccessibilityHelper::GetRootHelper()
{
  TcxAccessibilityHelper* result = this;
  while (TcxAccessibilityHelper* parent = result->GetParent())
    result = parent;
  return result;
}

bool TcxAccessibilityHelper::Visible()
{
  return (GetState(CHILDID_SELF) & STATE_SYSTEM_INVISIBLE) == 0;
}

bool TcxAccessibilityHelper::ChildIsSimpleElement(int)
{
  RaiseNotSupplied();
}

void TcxAccessibilityHelper::DoDefaultAction(TcxAccessibleSimpleChildElementID) {}

bool TcxAccessibilityHelper::GetFocusedObject(bool& AIsChildFocused, int& AChildIndex)
{
  AIsChildFocused = false;
  AChildIndex = -1;
  return false;
}

TcxAccessibilityHelper* TcxAccessibilityHelper::GetChild(int)
{
  return nullptr;
}

int TcxAccessibilityHelper::GetChildIndex(TcxAccessibilityHelper*)
{
  RaiseNotSupplied();
}

rtl::String TcxAccessibilityHelper::GetDefaultActionDescription(TcxAccessibleSimpleChildElementID)
{
  return {};
}

rtl::String TcxAccessibilityHelper::GetDescription(TcxAccessibleSimpleChildElementID)
{
  return {};
}

int TcxAccessibilityHelper::GetHitTest(int, int, int& AChildIndex)
{
  AChildIndex = -1;
  return cxAccessibleObjectHitTestNone;
}

void TcxAccessibilityHelper::GetKeyboardAccessParameters(TcxAccessibleSimpleChildElementID,
                                                         vcl::TShortCut& AShortCut, rtl::String& ACaption)
{
  AShortCut = 0;
  ACaption = {};
}

rtl::String TcxAccessibilityHelper::GetName(TcxAccessibleSimpleChildElementID)
{
  return {};
}

int TcxAccessibilityHelper::GetRole(TcxAccessibleSimpleChildElementID)
{
  return 0;
}

int TcxAccessibilityHelper::GetState(TcxAccessibleSimpleChildElementID)
{
  return 0;
}

TcxAccessibleObjectProperties TcxAccessibilityHelper::GetSupportedProperties(TcxAccessibleSimpleChildElementID)
{
  return 0;
}

rtl::String TcxAccessibilityHelper::GetValue(TcxAccessibleSimpleChildElementID)
{
  RaiseNotSupplied();
}

int TcxAccessibilityHelper::NavigateToChild(int, TcxAccessibilityNavigationDirection)
{
  RaiseNotSupplied();
}

void TcxAccessibilityHelper::SetValue(TcxAccessibleSimpleChildElementID, const rtl::String&) {}

TRect TcxAccessibilityHelper::GetScreenBounds(TcxAccessibleSimpleChildElementID)
{
  return TRect{};
}

HRESULT TcxAccessibilityHelper::GetSimpleChildElementID(const VARIANT& AChildID,
                                                        TcxAccessibleSimpleChildElementID& AElement)
{
  AElement = CHILDID_SELF;
  LONG id = 0;
  if (!VariantToInt(AChildID, id) || id < 0 || id > GetChildCount())
    return E_INVALIDARG;
  if (id != CHILDID_SELF && !ChildIsSimpleElement(id - 1))
    return E_INVALIDARG;
  AElement = id;
  return S_OK;
}

void TcxAccessibilityHelper::CheckSimpleChildElementToBeReturned(VARIANT& AValue)
{
  if (AValue.vt != VT_I4 || AValue.lVal == CHILDID_SELF || ChildIsSimpleElement(AValue.lVal - 1))
    return;
  TcxAccessibilityHelper* child = GetChild(AValue.lVal - 1);
  AValue.vt = VT_EMPTY;
  if (!child)
    return;
  IDispatch* dispatch = static_cast<IAccessible*>(child);
  dispatch->AddRef();
  AValue.vt = VT_DISPATCH;
  AValue.pdispVal = dispatch;
}

// --- IDispatch

HRESULT __stdcall TcxAccessibilityHelper::GetTypeInfoCount(UINT* pctinfo)
{
  if (pctinfo)
    *pctinfo = 0;
  return E_NOTIMPL;
}

HRESULT __stdcall TcxAccessibilityHelper::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
  if (ppTInfo)
    *ppTInfo = nullptr;
  return E_NOTIMPL;
}

HRESULT __stdcall TcxAccessibilityHelper::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
  return E_NOTIMPL;
}

HRESULT __stdcall TcxAccessibilityHelper::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                                 UINT*)
{
  return E_NOTIMPL;
}

// --- IAccessible
//
// Every member runs its work through Answer: the outputs cleared first, so
// that a client never frees what it did not get, kOwnerGone once the owner
// has died, and what a descendant raises turned into E_FAIL: it must not
// unwind into the client.

namespace {

void ClearOutput(IDispatch** AOutput)
{
  *AOutput = nullptr;
}

void ClearOutput(BSTR* AOutput)
{
  *AOutput = nullptr;
}

void ClearOutput(VARIANT* AOutput)
{
  VariantInit(AOutput);
}

void ClearOutput(long* AOutput)
{
  *AOutput = 0;
}

void ClearOutput(HWND* AOutput)
{
  *AOutput = nullptr;
}

}  // namespace

template <class TBody, class... TOutputs>
HRESULT TcxAccessibilityHelper::Answer(const VARIANT* AChildID, TcxAccessibleObjectProperties ARequired,
                                       TBody&& ABody, TOutputs*... AOutputs)
{
  if ((... || !AOutputs))
    return E_POINTER;
  (ClearOutput(AOutputs), ...);
  if (!FIsOwnerObjectLive)
    return kOwnerGone;
  return rtl::GuardCallback(E_FAIL, [&]() -> HRESULT {
    TcxAccessibleSimpleChildElementID element = CHILDID_SELF;
    if (AChildID) {
      const HRESULT result = GetSimpleChildElementID(*AChildID, element);
      if (FAILED(result))
        return result;
    }
    if (ARequired != 0 && (GetSupportedProperties(element) & ARequired) != ARequired)
      return DISP_E_MEMBERNOTFOUND;
    return ABody(element);
  });
}

HRESULT __stdcall TcxAccessibilityHelper::get_accParent(IDispatch** ppdispParent)
{
  return Answer(
      nullptr, 0,
      [&](TcxAccessibleSimpleChildElementID) -> HRESULT {
        if (TcxAccessibilityHelper* parent = GetParent()) {
          *ppdispParent = static_cast<IAccessible*>(parent);
          (*ppdispParent)->AddRef();
          return S_OK;
        }
        const HWND window = GetOwnerObjectWindow();
        const TcxAccessibleObjectFromWindowFunc fromWindow = cxAccessibleObjectFromWindow();
        if (!window || !fromWindow)
          return S_FALSE;
        const bool isChild = (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0;
        const HWND parentWindow = isChild ? ::GetParent(window) : GetDesktopWindow();
        void* parent = nullptr;
        if (FAILED(fromWindow(parentWindow, static_cast<DWORD>(OBJID_WINDOW), __uuidof(IAccessible), &parent)) ||
            !parent)
          return S_FALSE;
        *ppdispParent = static_cast<IAccessible*>(parent);
        return S_OK;
      },
      ppdispParent);
}

HRESULT __stdcall TcxAccessibilityHelper::get_accChildCount(long* pcountChildren)
{
  return Answer(
      nullptr, 0,
      [&](TcxAccessibleSimpleChildElementID) {
        *pcountChildren = GetChildCount();
        return S_OK;
      },
      pcountChildren);
}

HRESULT __stdcall TcxAccessibilityHelper::get_accChild(VARIANT varChildID, IDispatch** ppdispChild)
{
  return Answer(
      nullptr, 0,
      [&](TcxAccessibleSimpleChildElementID) -> HRESULT {
        // CHILDID_SELF names no child.
        LONG id = 0;
        if (!VariantToInt(varChildID, id) || id < 1 || id > GetChildCount())
          return E_INVALIDARG;
        if (ChildIsSimpleElement(id - 1))
          return S_FALSE;
        TcxAccessibilityHelper* child = GetChild(id - 1);
        if (!child)
          return S_FALSE;
        *ppdispChild = static_cast<IAccessible*>(child);
        (*ppdispChild)->AddRef();
        return S_OK;
      },
      ppdispChild);
}

HRESULT __stdcall TcxAccessibilityHelper::get_accName(VARIANT varID, BSTR* pszName)
{
  return Answer(
      &varID, 0,
      [&](TcxAccessibleSimpleChildElementID AElement) { return CheckStringToBeReturned(GetName(AElement), pszName); },
      pszName);
}

HRESULT __stdcall TcxAccessibilityHelper::get_accValue(VARIANT varID, BSTR* pszValue)
{
  return Answer(
      &varID, aopValue,
      [&](TcxAccessibleSimpleChildElementID AElement) {
        // An empty value is a value: S_OK all the same.
        *pszValue = AllocString(GetValue(AElement));
        return S_OK;
      },
      pszValue);
}

HRESULT __stdcall TcxAccessibilityHelper::get_accDescription(VARIANT varID, BSTR* pszDescription)
{
  return Answer(
      &varID, aopDescription,
      [&](TcxAccessibleSimpleChildElementID AElement) {
        return CheckStringToBeReturned(GetDescription(AElement), pszDescription);
      },
      pszDescription);
}

HRESULT __stdcall TcxAccessibilityHelper::get_accRole(VARIANT varID, VARIANT* pvarRole)
{
  return Answer(
      &varID, 0,
      [&](TcxAccessibleSimpleChildElementID AElement) {
        SetI4(*pvarRole, GetRole(AElement));
        return S_OK;
      },
      pvarRole);
}

HRESULT __stdcall TcxAccessibilityHelper::get_accState(VARIANT varID, VARIANT* pvarState)
{
  return Answer(
      &varID, 0,
      [&](TcxAccessibleSimpleChildElementID AElement) {
        SetI4(*pvarState, GetState(AElement));
        return S_OK;
      },
      pvarState);
}

HRESULT __stdcall TcxAccessibilityHelper::get_accHelp(VARIANT, BSTR* pszHelp)
{
  if (pszHelp)
    *pszHelp = nullptr;
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT __stdcall TcxAccessibilityHelper::get_accHelpTopic(BSTR* pszHelpFile, VARIANT, long* pidTopic)
{
  if (pszHelpFile)
    *pszHelpFile = nullptr;
  if (pidTopic)
    *pidTopic = 0;
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT __stdcall TcxAccessibilityHelper::get_accKeyboardShortcut(VARIANT varID, BSTR* pszKeyboardShortcut)
{
  return Answer(
      &varID, aopShortcut,
      [&](TcxAccessibleSimpleChildElementID AElement) {
        vcl::TShortCut shortCut = 0;
        rtl::String caption;
        GetKeyboardAccessParameters(AElement, shortCut, caption);
        const wchar_t hotKey = GetHotKeyChar(caption);
        const rtl::String text = hotKey ? rtl::String(1, UpperChar(hotKey)) : vcl::ShortCutToText(shortCut);
        return CheckStringToBeReturned(text, pszKeyboardShortcut);
      },
      pszKeyboardShortcut);
}

HRESULT __stdcall TcxAccessibilityHelper::get_accFocus(VARIANT* pvarID)
{
  return Answer(
      nullptr, aopFocus,
      [&](TcxAccessibleSimpleChildElementID) -> HRESULT {
        bool isChildFocused = false;
        int childIndex = -1;
        if (!GetFocusedObject(isChildFocused, childIndex))
          return S_FALSE;
        if (isChildFocused && (childIndex < 0 || childIndex >= GetChildCount()))
          return S_FALSE;
        SetI4(*pvarID, isChildFocused ? childIndex + 1 : CHILDID_SELF);
        CheckSimpleChildElementToBeReturned(*pvarID);
        return S_OK;
      },
      pvarID);
}

HRESULT __stdcall TcxAccessibilityHelper::get_accSelection(VARIANT* pvarChildren)
{
  if (pvarChildren)
    VariantInit(pvarChildren);
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT __stdcall TcxAccessibilityHelper::get_accDefaultAction(VARIANT varID, BSTR* pszDefaultAction)
{
  return Answer(
      &varID, aopDefaultAction,
      [&](TcxAccessibleSimpleChildElementID AElement) {
        *pszDefaultAction = AllocString(GetDefaultActionDescription(AElement));
        return S_OK;
      },
      pszDefaultAction);
}

HRESULT __stdcall TcxAccessibilityHelper::accSelect(long, VARIANT)
{
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT __stdcall TcxAccessibilityHelper::accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                                      VARIANT varID)
{
  // Location is the object's own property: checked before the child id.
  return Answer(
      nullptr, aopLocation,
      [&](TcxAccessibleSimpleChildElementID) {
        TcxAccessibleSimpleChildElementID element;
        const HRESULT result = GetSimpleChildElementID(varID, element);
        if (FAILED(result))
          return result;
        const TRect bounds = GetScreenBounds(element);
        *pxLeft = bounds.left;
        *pyTop = bounds.top;
        *pcxWidth = bounds.right - bounds.left;
        *pcyHeight = bounds.bottom - bounds.top;
        return S_OK;
      },
      pxLeft, pyTop, pcxWidth, pcyHeight);
}

HRESULT __stdcall TcxAccessibilityHelper::accNavigate(long navDir, VARIANT varStart, VARIANT* pvarEnd)
{
  return Answer(
      nullptr, 0,
      [&](TcxAccessibleSimpleChildElementID) -> HRESULT {
        LONG start = 0;
        if (!VariantToInt(varStart, start) || start < 0 || start > GetChildCount())
          return E_INVALIDARG;
        if (navDir == NAVDIR_FIRSTCHILD || navDir == NAVDIR_LASTCHILD) {
          if (start != CHILDID_SELF)
            return E_INVALIDARG;
          if ((GetSupportedProperties(CHILDID_SELF) & aopLocation) == 0)
            return DISP_E_MEMBERNOTFOUND;
          const int count = GetChildCount();
          if (count == 0)
            return S_FALSE;
          SetI4(*pvarEnd, navDir == NAVDIR_FIRSTCHILD ? 1 : count);
          CheckSimpleChildElementToBeReturned(*pvarEnd);
          return S_OK;
        }
        TcxAccessibilityNavigationDirection direction;
        if (!MapNavigationDirection(navDir, direction))
          return E_INVALIDARG;
        if (start == CHILDID_SELF) {
          // Siblings are the parent's business.
          TcxAccessibilityHelper* parent = GetParent();
          if (!parent || !parent->IsOwnerObjectLive() ||
              (parent->GetSupportedProperties(CHILDID_SELF) & aopLocation) == 0)
            return S_FALSE;
          VARIANT position = EmptyVariant();
          SetI4(position, parent->GetChildIndex(this) + 1);
          return parent->accNavigate(navDir, position, pvarEnd) == S_OK ? S_OK : S_FALSE;
        }
        if ((GetSupportedProperties(CHILDID_SELF) & aopLocation) == 0)
          return DISP_E_MEMBERNOTFOUND;
        const int index = NavigateToChild(start - 1, direction);
        if (index == start - 1 || index < 0 || index >= GetChildCount())
          return S_FALSE;
        SetI4(*pvarEnd, index + 1);
        CheckSimpleChildElementToBeReturned(*pvarEnd);
        return S_OK;
      },
      pvarEnd);
}

HRESULT __stdcall TcxAccessibilityHelper::accHitTest(long xLeft, long yTop, VARIANT* pvarID)
{
  return Answer(
      nullptr, aopLocation,
      [&](TcxAccessibleSimpleChildElementID) -> HRESULT {
        const TRect bounds = GetScreenBounds(CHILDID_SELF);
        const POINT point{xLeft, yTop};
        if (!PtInRect(&bounds, point))
          return S_FALSE;
        int childIndex = -1;
        switch (GetHitTest(xLeft, yTop, childIndex)) {
          case cxAccessibleObjectHitTestSelf:
            SetI4(*pvarID, CHILDID_SELF);
            return S_OK;
          case cxAccessibleObjectHitTestChild:
            if (childIndex < 0 || childIndex >= GetChildCount())
              return S_FALSE;
            SetI4(*pvarID, childIndex + 1);
            CheckSimpleChildElementToBeReturned(*pvarID);
            return S_OK;
          default:
            return S_FALSE;
        }
      },
      pvarID);
}

HRESULT __stdcall TcxAccessibilityHelper::accDoDefaultAction(VARIANT varID)
{
  return Answer(&varID, aopDefaultAction, [&](TcxAccessibleSimpleChildElementID AElement) {
    DoDefaultAction(AElement);
    return S_OK;
  });
}

HRESULT __stdcall TcxAccessibilityHelper::put_accName(VARIANT, BSTR)
{
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT __stdcall TcxAccessibilityHelper::put_accValue(VARIANT varID, BSTR pszValue)
{
  return Answer(&varID, aopValue, [&](TcxAccessibleSimpleChildElementID AElement) {
    SetValue(AElement, pszValue ? rtl::String(pszValue, SysStringLen(pszValue)) : rtl::String());
    return S_OK;
  });
}

// --- IOleWindow

HRESULT __stdcall TcxAccessibilityHelper::GetWindow(HWND* phwnd)
{
  return Answer(
      nullptr, 0,
      [&](TcxAccessibleSimpleChildElementID) {
        *phwnd = GetOwnerObjectWindow();
        return S_OK;
      },
      phwnd);
}

HRESULT __stdcall TcxAccessibilityHelper::ContextSensitiveHelp(BOOL)
{
  return S_OK;
}

// ---------------------------------------------------------------------------
// TcxControlAccessibilityHelper

vcl::TWinControl* TcxControlAccessibilityHelper::OwnerControl() const
{
  return IsOwnerObjectLive() ? rtl::As<vcl::TWinControl>(OwnerObject()) : nullptr;
}

// Each answer falls back to the empty one once the control is gone: the
// system's own code may still ask (Visible, GetRootHelper) after clients
// were told.
bool TcxControlAccessibilityHelper::GetFocusedObject(bool& AIsChildFocused, int& AChildIndex)
{
  AIsChildFocused = false;
  AChildIndex = -1;
  vcl::TWinControl* control = OwnerControl();
  return control && control->Focused();
}

rtl::String TcxControlAccessibilityHelper::GetName(TcxAccessibleSimpleChildElementID)
{
  vcl::TWinControl* control = OwnerControl();
  return control ? vcl::StripHotkey(control->GetCaption()) : rtl::String();
}

HWND TcxControlAccessibilityHelper::GetOwnerObjectWindow()
{
  vcl::TWinControl* control = OwnerControl();
  return control && control->HandleAllocated() ? control->GetHandle() : nullptr;
}

int TcxControlAccessibilityHelper::GetRole(TcxAccessibleSimpleChildElementID)
{
  return ROLE_SYSTEM_CLIENT;
}

int TcxControlAccessibilityHelper::GetState(TcxAccessibleSimpleChildElementID)
{
  vcl::TWinControl* control = OwnerControl();
  if (!control)
    return STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE;
  int result = 0;
  if (!control->GetShowing())
    result |= STATE_SYSTEM_INVISIBLE;
  if (!control->GetEnabled())
    result |= STATE_SYSTEM_UNAVAILABLE;
  if (control->CanFocus())
    result |= STATE_SYSTEM_FOCUSABLE;
  if (control->Focused())
    result |= STATE_SYSTEM_FOCUSED;
  return result;
}

TcxAccessibleObjectProperties TcxControlAccessibilityHelper::GetSupportedProperties(
    TcxAccessibleSimpleChildElementID)
{
  return aopFocus | aopLocation;
}

int TcxControlAccessibilityHelper::GetHitTest(int, int, int& AChildIndex)
{
  // Only called for points inside the client area: no children to tell.
  AChildIndex = -1;
  return cxAccessibleObjectHitTestSelf;
}

TRect TcxControlAccessibilityHelper::GetScreenBounds(TcxAccessibleSimpleChildElementID)
{
  vcl::TWinControl* control = OwnerControl();
  if (!control || !control->HandleAllocated())
    return TRect{};
  return control->ClientToScreen(control->GetClientRect());
}
