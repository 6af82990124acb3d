#include "editors/cxFilterConsts.h"

#include "core/dxCore.h"

namespace {

constexpr const wchar_t* cxFilterConstsProductName = L"KvDataFilter";

void cxFilterConstsAddResourceStrings(TdxProductResourceStrings* AProduct)
{
#define ADD_RES_STRING(AName) AProduct->Add(L## #AName, AName)
  ADD_RES_STRING(cxSFilterOperatorEqual);
  ADD_RES_STRING(cxSFilterOperatorNotEqual);
  ADD_RES_STRING(cxSFilterOperatorLess);
  ADD_RES_STRING(cxSFilterOperatorLessEqual);
  ADD_RES_STRING(cxSFilterOperatorGreater);
  ADD_RES_STRING(cxSFilterOperatorGreaterEqual);
  ADD_RES_STRING(cxSFilterOperatorLike);
  ADD_RES_STRING(cxSFilterOperatorNotLike);
  ADD_RES_STRING(cxSFilterOperatorBetween);
  ADD_RES_STRING(cxSFilterOperatorNotBetween);
  ADD_RES_STRING(cxSFilterOperatorInList);
  ADD_RES_STRING(cxSFilterOperatorNotInList);
  ADD_RES_STRING(cxSFilterOperatorYesterday);
  ADD_RES_STRING(cxSFilterOperatorToday);
  ADD_RES_STRING(cxSFilterOperatorTomorrow);
  ADD_RES_STRING(cxSFilterOperatorLast7Days);
  ADD_RES_STRING(cxSFilterOperatorLastWeek);
  ADD_RES_STRING(cxSFilterOperatorLast14Days);
  ADD_RES_STRING(cxSFilterOperatorLastTwoWeeks);
  ADD_RES_STRING(cxSFilterOperatorLast30Days);
  ADD_RES_STRING(cxSFilterOperatorLastMonth);
  ADD_RES_STRING(cxSFilterOperatorLastYear);
  ADD_RES_STRING(cxSFilterOperatorPast);
  ADD_RES_STRING(cxSFilterOperatorThisWeek);
  ADD_RES_STRING(cxSFilterOperatorThisMonth);
  ADD_RES_STRING(cxSFilterOperatorThisYear);
  ADD_RES_STRING(cxSFilterOperatorNext7Days);
  ADD_RES_STRING(cxSFilterOperatorNextWeek);
  ADD_RES_STRING(cxSFilterOperatorNext14Days);
  ADD_RES_STRING(cxSFilterOperatorNextTwoWeeks);
  ADD_RES_STRING(cxSFilterOperatorNext30Days);
  ADD_RES_STRING(cxSFilterOperatorNextMonth);
  ADD_RES_STRING(cxSFilterOperatorNextYear);
  ADD_RES_STRING(cxSFilterOperatorFuture);
  ADD_RES_STRING(cxSFilterAndCaption);
  ADD_RES_STRING(cxSFilterOrCaption);
  ADD_RES_STRING(cxSFilterNotCaption);
  ADD_RES_STRING(cxSFilterBlankCaption);
  ADD_RES_STRING(cxSFilterOperatorIsNull);
  ADD_RES_STRING(cxSFilterOperatorIsNotNull);
  ADD_RES_STRING(cxSFilterOperatorBeginsWith);
  ADD_RES_STRING(cxSFilterOperatorDoesNotBeginWith);
  ADD_RES_STRING(cxSFilterOperatorEndsWith);
  ADD_RES_STRING(cxSFilterOperatorDoesNotEndWith);
  ADD_RES_STRING(cxSFilterOperatorContains);
  ADD_RES_STRING(cxSFilterOperatorDoesNotContain);
  ADD_RES_STRING(cxSFilterBoxAllCaption);
  ADD_RES_STRING(cxSFilterBoxCustomCaption);
  ADD_RES_STRING(cxSFilterBoxBlanksCaption);
  ADD_RES_STRING(cxSFilterBoxNonBlanksCaption);
#undef ADD_RES_STRING
}

void cxFilterConstsInitialization()
{
  dxGetResourceStringsRepository()->RegisterProduct(cxFilterConstsProductName, &cxFilterConstsAddResourceStrings);
}

void cxFilterConstsFinalization()
{
  dxGetResourceStringsRepository()->UnRegisterProduct(cxFilterConstsProductName);
}

}  // namespace

RTL_UNIT(cxFilterConsts, &cxFilterConstsInitialization, &cxFilterConstsFinalization);
