#include "editors/cxFilterControlStrs.h"

#include "core/dxCore.h"

namespace {

constexpr const wchar_t* cxFilterControlStrsProductName = L"KvFilterControl";

void cxFilterControlStrsAddResourceStrings(TdxProductResourceStrings* AProduct)
{
#define ADD_RES_STRING(AName) AProduct->Add(L## #AName, AName)
  ADD_RES_STRING(cxSFilterBoolOperatorAnd);
  ADD_RES_STRING(cxSFilterBoolOperatorOr);
  ADD_RES_STRING(cxSFilterBoolOperatorNotAnd);
  ADD_RES_STRING(cxSFilterBoolOperatorNotOr);
  ADD_RES_STRING(cxSFilterRootButtonCaption);
  ADD_RES_STRING(cxSFilterAddCondition);
  ADD_RES_STRING(cxSFilterAddGroup);
  ADD_RES_STRING(cxSFilterRemoveRow);
  ADD_RES_STRING(cxSFilterClearAll);
  ADD_RES_STRING(cxSFilterFooterAddCondition);
  ADD_RES_STRING(cxSFilterGroupCaption);
  ADD_RES_STRING(cxSFilterRootGroupCaption);
  ADD_RES_STRING(cxSFilterControlNullString);
  ADD_RES_STRING(cxSFilterErrorBuilding);
  ADD_RES_STRING(cxSFilterDialogCaption);
  ADD_RES_STRING(cxSFilterDialogInvalidValue);
  ADD_RES_STRING(cxSFilterDialogUse);
  ADD_RES_STRING(cxSFilterDialogSingleCharacter);
  ADD_RES_STRING(cxSFilterDialogCharactersSeries);
  ADD_RES_STRING(cxSFilterDialogOperationAnd);
  ADD_RES_STRING(cxSFilterDialogOperationOr);
  ADD_RES_STRING(cxSFilterDialogRows);
  ADD_RES_STRING(cxSFilterControlDialogCaption);
  ADD_RES_STRING(cxSFilterControlDialogNewFile);
  ADD_RES_STRING(cxSFilterControlDialogOpenDialogCaption);
  ADD_RES_STRING(cxSFilterControlDialogSaveDialogCaption);
  ADD_RES_STRING(cxSFilterControlDialogActionSaveCaption);
  ADD_RES_STRING(cxSFilterControlDialogActionSaveHint);
  ADD_RES_STRING(cxSFilterControlDialogActionOpenCaption);
  ADD_RES_STRING(cxSFilterControlDialogActionOpenHint);
  ADD_RES_STRING(cxSFilterControlDialogActionApplyCaption);
  ADD_RES_STRING(cxSFilterControlDialogActionOkCaption);
  ADD_RES_STRING(cxSFilterControlDialogActionCancelCaption);
  ADD_RES_STRING(cxSFilterControlDialogFileExt);
  ADD_RES_STRING(cxSFilterControlDialogFileFilter);
#undef ADD_RES_STRING
}

void cxFilterControlStrsInitialization()
{
  dxGetResourceStringsRepository()->RegisterProduct(cxFilterControlStrsProductName, &cxFilterControlStrsAddResourceStrings);
}

void cxFilterControlStrsFinalization()
{
  dxGetResourceStringsRepository()->UnRegisterProduct(cxFilterControlStrsProductName);
}

}  // namespace

RTL_UNIT(cxFilterControlStrs, &cxFilterControlStrsInitialization, &cxFilterControlStrsFinalization);
