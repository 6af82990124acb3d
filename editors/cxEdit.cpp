#include "editors/cxEdit.h"

#include <algorithm>

#include "core/dxCore.h"
#include "graphics/cxGraphics.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/Forms.h"
#include "editors/cxVariants.h"
#include "platform/vcl/Graphics.h"

namespace {

TcxRegisteredClasses* cxEditRegistry;
TcxEditStyleController* cxEditDefaultStyleController;

// Loaded by the start-up step, freed by the finish step.
vcl::TBitmap* cxEditErrorGlyph;
vcl::TBitmap* cxEditWarningGlyph;
vcl::TBitmap* cxEditInfoGlyph;

vcl::TBitmap* cxEditLoadGlyph(const wchar_t* AResourceName)
{
  vcl::TBitmap* result = rtl::New<vcl::TBitmap>();
  try {
    result->LoadFromResourceName(GetModuleHandleW(nullptr), AResourceName);
  } catch (...) {
    rtl::Free(result);
    throw;
  }
  return result;
}

void cxEditStartUp()
{
  // A shared cursor from the module's resources: the system frees it.
  vcl::Screen()->SetCursors(cxEditMouseWheelCursor, LoadCursorW(GetModuleHandleW(nullptr), L"CXEDIT_MOUSEWHEEL"));
  cxEditDefaultStyleController = rtl::New<TcxEditStyleController>(nullptr);
  cxSetDefaultStyleController(cxEditDefaultStyleController);
  cxEditErrorGlyph = cxEditLoadGlyph(L"CXEDIT_GLYPH_ERROR");
  cxEditWarningGlyph = cxEditLoadGlyph(L"CXEDIT_GLYPH_WARNING");
  cxEditInfoGlyph = cxEditLoadGlyph(L"CXEDIT_GLYPH_INFO");
}

void cxEditShutDown()
{
  rtl::FreeAndNil(cxEditInfoGlyph);
  rtl::FreeAndNil(cxEditWarningGlyph);
  rtl::FreeAndNil(cxEditErrorGlyph);
  cxSetDefaultStyleController(nullptr);
  rtl::FreeAndNil(cxEditDefaultStyleController);
}

void cxEditInitialization()
{
  dxGetUnitsLoader()->AddUnit(&cxEditStartUp, &cxEditShutDown);
}

void cxEditFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&cxEditShutDown);
  rtl::FreeAndNil(cxEditRegistry);
}

}  // namespace

RTL_UNIT(cxEdit, &cxEditInitialization, &cxEditFinalization);

// ---------------------------------------------------------------------------
// Unit routines

TcxRegisteredClasses* cxEditPropertiesRegistry()
{
  if (!cxEditRegistry) {
    cxEditRegistry = rtl::New<TcxRegisteredClasses>();
    cxEditRegistry->SetSorted(true);
  }
  return cxEditRegistry;
}

vcl::TBitmap* cxEditValidationGlyph(TcxEditErrorType AErrorType)
{
  switch (AErrorType) {
    case TcxEditErrorType::eetError:
      return cxEditErrorGlyph;
    case TcxEditErrorType::eetWarning:
      return cxEditWarningGlyph;
    case TcxEditErrorType::eetInfo:
      return cxEditInfoGlyph;
    default:
      return nullptr;
  }
}

TcxEditStyleController* cxDefaultEditStyleController()
{
  return cxEditDefaultStyleController;
}

rtl::TComponent* cxEditFindOwnerComponent(rtl::TPersistent* APersistent)
{
  rtl::TPersistent* owner = APersistent ? APersistent->GetOwner() : nullptr;
  while (owner && !rtl::Is<rtl::TComponent>(owner))
    owner = owner->GetOwner();
  return static_cast<rtl::TComponent*>(owner);
}

bool cxVarIsComparableTypes(const rtl::Variant& V1, const rtl::Variant& V2)
{
  return (cxVarIsNumeric(V1) && cxVarIsNumeric(V2)) || V1.VarType() == V2.VarType() ||
         (rtl::VarIsStr(V1) && rtl::VarIsStr(V2));
}

bool cxEditVarEquals(const rtl::Variant& V1, const rtl::Variant& V2)
{
  return cxVarIsComparableTypes(V1, V2) && cxVarSameValue(V1, V2);
}

bool cxVarSameTypeAndValue(const rtl::Variant& V1, const rtl::Variant& V2)
{
  return V1.VarType() == V2.VarType() && cxVarSameValue(V1, V2);
}

bool cxEditIsBlankChar(wchar_t C)
{
  return C == L'\0' || C == L'\t' || C == L'\n' || C == L'\f' || C == L'\r' || C == L' ';
}

vcl::TShiftState cxButtonToShift(vcl::TMouseButton AButton)
{
  switch (AButton) {
    case vcl::TMouseButton::mbLeft:
      return {vcl::TShiftStateItem::ssLeft};
    case vcl::TMouseButton::mbRight:
      return {vcl::TShiftStateItem::ssRight};
    default:
      return {vcl::TShiftStateItem::ssMiddle};
  }
}

LRESULT cxSendMouseMessage(vcl::TWinControl* AControl, UINT AMsg, vcl::TShiftState AShift, const TPoint& P)
{
  using vcl::TShiftStateItem;
  WPARAM keys = 0;
  const std::pair<TShiftStateItem, WPARAM> flags[] = {{TShiftStateItem::ssShift, MK_SHIFT},
                                                      {TShiftStateItem::ssCtrl, MK_CONTROL},
                                                      {TShiftStateItem::ssLeft, MK_LBUTTON},
                                                      {TShiftStateItem::ssRight, MK_RBUTTON},
                                                      {TShiftStateItem::ssMiddle, MK_MBUTTON}};
  for (const auto& [item, flag] : flags)
    if (AShift.Contains(item))
      keys |= flag;
  return SendMessageW(AControl->GetHandle(), AMsg, keys, MAKELPARAM(P.x, P.y));
}

LRESULT cxSendKeyMessage(vcl::TWinControl* AControl, UINT AMsg, WORD AKey, vcl::TShiftState /*AShift*/)
{
  return SendMessageW(AControl->GetHandle(), AMsg, AKey, 0);
}

LRESULT cxSendKeyDownMessage(vcl::TWinControl* AControl, WORD AKey, vcl::TShiftState AShift)
{
  return cxSendKeyMessage(AControl, WM_KEYDOWN, AKey, AShift);
}

LRESULT cxSendCharMessage(vcl::TWinControl* AControl, wchar_t AChar)
{
  return cxSendKeyMessage(AControl, WM_CHAR, AChar, {});
}

void cxCombineRegionsOr(TcxRegion* ADest, TcxRegion* ASource)
{
  CombineRgn(ADest->GetHandle(), ADest->GetHandle(), ASource->GetHandle(), RGN_OR);
}

void cxEditDrawFrame(TcxCanvas* ACanvas, TRect& R, vcl::TColor AColor)
{
  ACanvas->FrameRect(R, AColor);
  InflateRect(&R, -1, -1);
}

void cxEditDrawComplexFrame(TcxCanvas* ACanvas, TRect& R, vcl::TColor ALeftTopColor, vcl::TColor ARightBottomColor)
{
  ACanvas->DrawComplexFrame(R, ALeftTopColor, ARightBottomColor);
  InflateRect(&R, -1, -1);
}
