#include "pagecontrol/cxPCConsts.h"

#include "core/dxCore.h"

namespace {

constexpr const wchar_t* ProductName = L"KvPageControl";

void AddcxPCResourceStringNames(TdxProductResourceStrings* AProduct)
{
#define ADD_RES_STRING(AName) AProduct->Add(L## #AName, AName)
  ADD_RES_STRING(scxPCImageListIndexError);
  ADD_RES_STRING(scxPCNoBaseImages);
  ADD_RES_STRING(scxPCNoRegisteredStyles);
  ADD_RES_STRING(scxPCPageIndexError);
  ADD_RES_STRING(scxPCPainterClassError);
  ADD_RES_STRING(scxPCStandardStyleError);
  ADD_RES_STRING(scxPCStyleNameError);
  ADD_RES_STRING(scxPCTabCountEqualsZero);
  ADD_RES_STRING(scxPCTabIndexError);
  ADD_RES_STRING(scxPCTabVisibleIndexOutsOfBounds);
  ADD_RES_STRING(scxPCVisibleTabListEmpty);
  ADD_RES_STRING(scxPCAllowRotateError);
  ADD_RES_STRING(scxPCDefaultHintCloseButton);
  ADD_RES_STRING(scxPCDefaultHintGoDialogButton);
  ADD_RES_STRING(scxPCDefaultHintTopLeftButton);
  ADD_RES_STRING(scxPCDefaultHintBottomRightButton);
  ADD_RES_STRING(scxPCDefaultHintTabCloseButton);
  ADD_RES_STRING(scxPCDefaultHintNewButton);
#undef ADD_RES_STRING
}

void cxPCConstsInitialization()
{
  dxGetResourceStringsRepository()->RegisterProduct(ProductName, &AddcxPCResourceStringNames);
}

void cxPCConstsFinalization()
{
  dxGetResourceStringsRepository()->UnRegisterProduct(ProductName);
}

}  // namespace

RTL_UNIT(cxPCConsts, &cxPCConstsInitialization, &cxPCConstsFinalization);
