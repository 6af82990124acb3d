// The names of the filter operators and the filter box captions (product "KvDataFilter"), registered with the
// resource-string repository so that a translation can replace them.
#pragma once

#include "platform/rtl/SystemResStrings.h"
#include "platform/rtl/SystemUnits.h"

RTL_DECLARE_UNIT(cxFilterConsts);

inline constexpr rtl::TResStringRec cxSFilterOperatorEqual{65089};
inline constexpr rtl::TResStringRec cxSFilterOperatorNotEqual{65090};
inline constexpr rtl::TResStringRec cxSFilterOperatorLess{65091};
inline constexpr rtl::TResStringRec cxSFilterOperatorLessEqual{65092};
inline constexpr rtl::TResStringRec cxSFilterOperatorGreater{65093};
inline constexpr rtl::TResStringRec cxSFilterOperatorGreaterEqual{65094};
inline constexpr rtl::TResStringRec cxSFilterOperatorLike{65095};
inline constexpr rtl::TResStringRec cxSFilterOperatorNotLike{65096};
inline constexpr rtl::TResStringRec cxSFilterOperatorBetween{65097};
inline constexpr rtl::TResStringRec cxSFilterOperatorNotBetween{65098};
inline constexpr rtl::TResStringRec cxSFilterOperatorInList{65099};
inline constexpr rtl::TResStringRec cxSFilterOperatorNotInList{65100};
inline constexpr rtl::TResStringRec cxSFilterOperatorYesterday{65101};
inline constexpr rtl::TResStringRec cxSFilterOperatorToday{65102};
inline constexpr rtl::TResStringRec cxSFilterOperatorTomorrow{65103};
inline constexpr rtl::TResStringRec cxSFilterOperatorLast7Days{65072};
inline constexpr rtl::TResStringRec cxSFilterOperatorLastWeek{65073};
inline constexpr rtl::TResStringRec cxSFilterOperatorLast14Days{65074};
inline constexpr rtl::TResStringRec cxSFilterOperatorLastTwoWeeks{65075};
inline constexpr rtl::TResStringRec cxSFilterOperatorLast30Days{65076};
inline constexpr rtl::TResStringRec cxSFilterOperatorLastMonth{65077};
inline constexpr rtl::TResStringRec cxSFilterOperatorLastYear{65078};
inline constexpr rtl::TResStringRec cxSFilterOperatorPast{65079};
inline constexpr rtl::TResStringRec cxSFilterOperatorThisWeek{65080};
inline constexpr rtl::TResStringRec cxSFilterOperatorThisMonth{65081};
inline constexpr rtl::TResStringRec cxSFilterOperatorThisYear{65082};
inline constexpr rtl::TResStringRec cxSFilterOperatorNext7Days{65083};
inline constexpr rtl::TResStringRec cxSFilterOperatorNextWeek{65084};
inline constexpr rtl::TResStringRec cxSFilterOperatorNext14Days{65085};
inline constexpr rtl::TResStringRec cxSFilterOperatorNextTwoWeeks{65086};
inline constexpr rtl::TResStringRec cxSFilterOperatorNext30Days{65087};
inline constexpr rtl::TResStringRec cxSFilterOperatorNextMonth{65056};
inline constexpr rtl::TResStringRec cxSFilterOperatorNextYear{65057};
inline constexpr rtl::TResStringRec cxSFilterOperatorFuture{65058};
inline constexpr rtl::TResStringRec cxSFilterAndCaption{65059};
inline constexpr rtl::TResStringRec cxSFilterOrCaption{65060};
inline constexpr rtl::TResStringRec cxSFilterNotCaption{65061};
inline constexpr rtl::TResStringRec cxSFilterBlankCaption{65062};
inline constexpr rtl::TResStringRec cxSFilterOperatorIsNull{65063};
inline constexpr rtl::TResStringRec cxSFilterOperatorIsNotNull{65064};
inline constexpr rtl::TResStringRec cxSFilterOperatorBeginsWith{65065};
inline constexpr rtl::TResStringRec cxSFilterOperatorDoesNotBeginWith{65066};
inline constexpr rtl::TResStringRec cxSFilterOperatorEndsWith{65067};
inline constexpr rtl::TResStringRec cxSFilterOperatorDoesNotEndWith{65068};
inline constexpr rtl::TResStringRec cxSFilterOperatorContains{65069};
inline constexpr rtl::TResStringRec cxSFilterOperatorDoesNotContain{65070};
inline constexpr rtl::TResStringRec cxSFilterBoxAllCaption{65071};
inline constexpr rtl::TResStringRec cxSFilterBoxCustomCaption{65040};
inline constexpr rtl::TResStringRec cxSFilterBoxBlanksCaption{65041};
inline constexpr rtl::TResStringRec cxSFilterBoxNonBlanksCaption{65042};
