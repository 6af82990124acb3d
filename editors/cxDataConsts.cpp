#include "editors/cxDataConsts.h"

#include "core/dxCore.h"

namespace {

constexpr const wchar_t* cxDataConstsProductName = L"KvDataController";

void cxDataConstsAddResourceStrings(TdxProductResourceStrings* AProduct)
{
#define ADD_RES_STRING(AName) AProduct->Add(L## #AName, AName)
  ADD_RES_STRING(cxSDataReadError);
  ADD_RES_STRING(cxSDataWriteError);
  ADD_RES_STRING(cxSDataItemExistError);
  ADD_RES_STRING(cxSDataRecordIndexError);
  ADD_RES_STRING(cxSDataItemIndexError);
  ADD_RES_STRING(cxSDataProviderModeError);
  ADD_RES_STRING(cxSDataInvalidStreamFormat);
  ADD_RES_STRING(cxSDataRowIndexError);
  ADD_RES_STRING(cxSDataCustomDataSourceInvalidCompare);
  ADD_RES_STRING(cxSDBDetailFilterControllerNotFound);
  ADD_RES_STRING(cxSDBNotInGridMode);
  ADD_RES_STRING(cxSDBKeyFieldNotFound);
#undef ADD_RES_STRING
}

void cxDataConstsInitialization()
{
  dxGetResourceStringsRepository()->RegisterProduct(cxDataConstsProductName, &cxDataConstsAddResourceStrings);
}

void cxDataConstsFinalization()
{
  dxGetResourceStringsRepository()->UnRegisterProduct(cxDataConstsProductName);
}

}  // namespace

RTL_UNIT(cxDataConsts, &cxDataConstsInitialization, &cxDataConstsFinalization);
