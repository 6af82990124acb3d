#include "editors/dxSpellCheckerCore.h"

#include "controls/cxControls.h"

namespace {

IdxSpellChecker* dxSpellCheckerCoreHook;
IdxSpellChecker2* dxSpellCheckerCoreKeyHook;

void dxSpellCheckerCoreInitialization()
{
  cxSetContextPopupHook(&cxSpellCheckerContextPopup);
}

void dxSpellCheckerCoreFinalization()
{
  cxSetContextPopupHook(nullptr);
  dxSpellCheckerCoreHook = nullptr;
  dxSpellCheckerCoreKeyHook = nullptr;
}

}  // namespace

RTL_UNIT(dxSpellCheckerCore, &dxSpellCheckerCoreInitialization, &dxSpellCheckerCoreFinalization);

IdxSpellChecker* dxSpellCheckerHook()
{
  return dxSpellCheckerCoreHook;
}

void dxSetSpellCheckerHook(IdxSpellChecker* AValue)
{
  dxSpellCheckerCoreHook = AValue;
}

IdxSpellChecker2* dxSpellCheckerKeyHook()
{
  return dxSpellCheckerCoreKeyHook;
}

void dxSetSpellCheckerKeyHook(IdxSpellChecker2* AValue)
{
  dxSpellCheckerCoreKeyHook = AValue;
}

bool cxSpellCheckerContextPopup(TcxControl* /*AControl*/, rtl::TComponent* APopupMenu, const TPoint& P)
{
  return dxSpellCheckerCoreHook && dxSpellCheckerCoreHook->QueryPopup(APopupMenu, P);
}
