// The core library's resource strings (product "KvLibrary"): registry and
// storage errors, the locked-state text, the words of date input and the
// captions of quick customization. Their texts live in the program's string
// tables; dxLookupResourceString loads them.
#pragma once

#include "platform/rtl/SystemResStrings.h"
#include "platform/rtl/SystemUnits.h"

RTL_DECLARE_UNIT(cxLibraryStrs);

inline constexpr rtl::TResStringRec scxCantCreateRegistryKey{65142};
inline constexpr rtl::TResStringRec scxCantOpenRegistryKey{65143};
inline constexpr rtl::TResStringRec scxErrorStoreObject{65145};
inline constexpr rtl::TResStringRec scxConverterCantCreateStyleRepository{65144};
inline constexpr rtl::TResStringRec scxBuiltInLookAndFeelStyles{65141};
inline constexpr rtl::TResStringRec scxLockedStateText{65146};
inline constexpr rtl::TResStringRec cxSDateToday{65147};
inline constexpr rtl::TResStringRec cxSDateYesterday{65148};
inline constexpr rtl::TResStringRec cxSDateTomorrow{65149};
inline constexpr rtl::TResStringRec cxSDateSunday{65150};
inline constexpr rtl::TResStringRec cxSDateMonday{65151};
inline constexpr rtl::TResStringRec cxSDateTuesday{65120};
inline constexpr rtl::TResStringRec cxSDateWednesday{65121};
inline constexpr rtl::TResStringRec cxSDateThursday{65122};
inline constexpr rtl::TResStringRec cxSDateFriday{65123};
inline constexpr rtl::TResStringRec cxSDateSaturday{65124};
inline constexpr rtl::TResStringRec cxSDateFirst{65125};
inline constexpr rtl::TResStringRec cxSDateSecond{65126};
inline constexpr rtl::TResStringRec cxSDateThird{65127};
inline constexpr rtl::TResStringRec cxSDateFourth{65128};
inline constexpr rtl::TResStringRec cxSDateFifth{65129};
inline constexpr rtl::TResStringRec cxSDateSixth{65130};
inline constexpr rtl::TResStringRec cxSDateSeventh{65131};
inline constexpr rtl::TResStringRec cxSDateBOM{65132};
inline constexpr rtl::TResStringRec cxSDateEOM{65133};
inline constexpr rtl::TResStringRec cxSDateNow{65134};
inline constexpr rtl::TResStringRec scxQuickCustomizationAllCommandCaption{65135};
inline constexpr rtl::TResStringRec scxQuickCustomizationSortedCommandCaption{65104};
