// The slots through which the editors would talk to a spell checker. No
// spell checker is part of this system: the slots stay empty and every call
// through them does nothing, so a control shows its own context menu.
#pragma once

#include <windows.h>

#include "core/dxTypeHelpers.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/vcl/ControlsMessages.h"

class TcxControl;

namespace rtl {
class TComponent;
}
namespace vcl {
class TWinControl;
}

RTL_DECLARE_UNIT(dxSpellCheckerCore);

// What an editor offers a spell checker.
struct IdxSpellCheckerControl : rtl::IInterface {
  RTL_GUID(IdxSpellCheckerControl, "{2DEA4CCA-3C6D-4283-9441-AABBD61F74F3}")
  virtual bool __stdcall HasSpellCheckSupport() = 0;
  virtual void __stdcall SpellCheckerChanged() = 0;
  virtual void __stdcall SetIsBarControl(bool AValue) = 0;
  virtual void __stdcall SetSpellCheckerValue(const rtl::String& AValue) = 0;
};

// What the editors ask of a spell checker.
struct IdxSpellChecker : rtl::IInterface {
  RTL_GUID(IdxSpellChecker, "{B5A7B1A0-6C1E-4F3B-8E0D-2C4E6B8F9A11}")
  // An editor is destroyed or left.
  virtual void __stdcall CheckFinish() = 0;
  // An editor's inner control is entered.
  virtual void __stdcall CheckStart(vcl::TWinControl* AControl) = 0;
  virtual void __stdcall KeyPress(wchar_t& AKey) = 0;
  // Answers whether the spell checker showed its own menu.
  virtual bool __stdcall QueryPopup(rtl::TComponent* APopupMenu, const TPoint& P) = 0;
};

struct IdxSpellChecker2 : rtl::IInterface {
  RTL_GUID(IdxSpellChecker2, "{0C8F3E52-9B1D-4A6E-A7C2-5D3B1E4F6A22}")
  virtual void __stdcall KeyDown(WORD& AKey, vcl::TShiftState AShift) = 0;
  virtual void __stdcall KeyUp(WORD& AKey, vcl::TShiftState AShift) = 0;
};

// The slots; nil in this system. A spell checker that fills them keeps the
// objects alive while they are set.
IdxSpellChecker* dxSpellCheckerHook();
void dxSetSpellCheckerHook(IdxSpellChecker* AValue);
IdxSpellChecker2* dxSpellCheckerKeyHook();
void dxSetSpellCheckerKeyHook(IdxSpellChecker2* AValue);

// The control framework's context-popup hook while the unit runs: the spell
// checker's answer, False without one.
bool cxSpellCheckerContextPopup(TcxControl* AControl, rtl::TComponent* APopupMenu, const TPoint& P);
