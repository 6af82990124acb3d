#include "core/cxLibraryStrs.h"

#include "core/dxCore.h"

namespace {

constexpr const wchar_t* ProductName = L"KvLibrary";

void AddcxLibraryResourceStringNames(TdxProductResourceStrings* AProduct)
{
#define ADD_RES_STRING(AName) AProduct->Add(L## #AName, AName)
  ADD_RES_STRING(scxCantCreateRegistryKey);
  ADD_RES_STRING(scxCantOpenRegistryKey);
  ADD_RES_STRING(scxErrorStoreObject);
  ADD_RES_STRING(scxConverterCantCreateStyleRepository);
  ADD_RES_STRING(scxBuiltInLookAndFeelStyles);
  ADD_RES_STRING(scxLockedStateText);
  ADD_RES_STRING(cxSDateToday);
  ADD_RES_STRING(cxSDateYesterday);
  ADD_RES_STRING(cxSDateTomorrow);
  ADD_RES_STRING(cxSDateSunday);
  ADD_RES_STRING(cxSDateMonday);
  ADD_RES_STRING(cxSDateTuesday);
  ADD_RES_STRING(cxSDateWednesday);
  ADD_RES_STRING(cxSDateThursday);
  ADD_RES_STRING(cxSDateFriday);
  ADD_RES_STRING(cxSDateSaturday);
  ADD_RES_STRING(cxSDateFirst);
  ADD_RES_STRING(cxSDateSecond);
  ADD_RES_STRING(cxSDateThird);
  ADD_RES_STRING(cxSDateFourth);
  ADD_RES_STRING(cxSDateFifth);
  ADD_RES_STRING(cxSDateSixth);
  ADD_RES_STRING(cxSDateSeventh);
  ADD_RES_STRING(cxSDateBOM);
  ADD_RES_STRING(cxSDateEOM);
  ADD_RES_STRING(cxSDateNow);
  ADD_RES_STRING(scxQuickCustomizationAllCommandCaption);
  ADD_RES_STRING(scxQuickCustomizationSortedCommandCaption);
#undef ADD_RES_STRING
}

void cxLibraryStrsInitialization()
{
  dxGetResourceStringsRepository()->RegisterProduct(ProductName, &AddcxLibraryResourceStringNames);
}

void cxLibraryStrsFinalization()
{
  dxGetResourceStringsRepository()->UnRegisterProduct(ProductName);
}

}  // namespace

RTL_UNIT(cxLibraryStrs, &cxLibraryStrsInitialization, &cxLibraryStrsFinalization);
