// The captions of the filter builder and the custom filter dialog (product "KvFilterControl"), registered with the
// resource-string repository so that a translation can replace them.
#pragma once

#include "platform/rtl/SystemResStrings.h"
#include "platform/rtl/SystemUnits.h"

RTL_DECLARE_UNIT(cxFilterControlStrs);

inline constexpr rtl::TResStringRec cxSFilterBoolOperatorAnd{64723};
inline constexpr rtl::TResStringRec cxSFilterBoolOperatorOr{64724};
inline constexpr rtl::TResStringRec cxSFilterBoolOperatorNotAnd{64725};
inline constexpr rtl::TResStringRec cxSFilterBoolOperatorNotOr{64726};
inline constexpr rtl::TResStringRec cxSFilterRootButtonCaption{64727};
inline constexpr rtl::TResStringRec cxSFilterAddCondition{64728};
inline constexpr rtl::TResStringRec cxSFilterAddGroup{64729};
inline constexpr rtl::TResStringRec cxSFilterRemoveRow{64730};
inline constexpr rtl::TResStringRec cxSFilterClearAll{64731};
inline constexpr rtl::TResStringRec cxSFilterFooterAddCondition{64732};
inline constexpr rtl::TResStringRec cxSFilterGroupCaption{64733};
inline constexpr rtl::TResStringRec cxSFilterRootGroupCaption{64734};
inline constexpr rtl::TResStringRec cxSFilterControlNullString{64735};
inline constexpr rtl::TResStringRec cxSFilterErrorBuilding{64800};
inline constexpr rtl::TResStringRec cxSFilterDialogCaption{64801};
inline constexpr rtl::TResStringRec cxSFilterDialogInvalidValue{64802};
inline constexpr rtl::TResStringRec cxSFilterDialogUse{64803};
inline constexpr rtl::TResStringRec cxSFilterDialogSingleCharacter{64804};
inline constexpr rtl::TResStringRec cxSFilterDialogCharactersSeries{64805};
inline constexpr rtl::TResStringRec cxSFilterDialogOperationAnd{64806};
inline constexpr rtl::TResStringRec cxSFilterDialogOperationOr{64807};
inline constexpr rtl::TResStringRec cxSFilterDialogRows{64808};
inline constexpr rtl::TResStringRec cxSFilterControlDialogCaption{64809};
inline constexpr rtl::TResStringRec cxSFilterControlDialogNewFile{64810};
inline constexpr rtl::TResStringRec cxSFilterControlDialogOpenDialogCaption{64811};
inline constexpr rtl::TResStringRec cxSFilterControlDialogSaveDialogCaption{64812};
inline constexpr rtl::TResStringRec cxSFilterControlDialogActionSaveCaption{64813};
inline constexpr rtl::TResStringRec cxSFilterControlDialogActionSaveHint{64814};
inline constexpr rtl::TResStringRec cxSFilterControlDialogActionOpenCaption{64815};
inline constexpr rtl::TResStringRec cxSFilterControlDialogActionOpenHint{64784};
inline constexpr rtl::TResStringRec cxSFilterControlDialogActionApplyCaption{64785};
inline constexpr rtl::TResStringRec cxSFilterControlDialogActionOkCaption{64786};
inline constexpr rtl::TResStringRec cxSFilterControlDialogActionCancelCaption{64787};
inline constexpr rtl::TResStringRec cxSFilterControlDialogFileExt{64788};
inline constexpr rtl::TResStringRec cxSFilterControlDialogFileFilter{64789};
