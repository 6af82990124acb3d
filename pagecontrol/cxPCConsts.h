// The page control's resource strings (product "KvPageControl"): its errors
// and the default hints of its buttons. Their texts live in the program's
// string tables; dxLookupResourceString loads them, so a localizer can
// replace them.
#pragma once

#include "platform/rtl/SystemResStrings.h"
#include "platform/rtl/SystemUnits.h"

RTL_DECLARE_UNIT(cxPCConsts);

inline constexpr rtl::TResStringRec scxPCImageListIndexError{64412};
inline constexpr rtl::TResStringRec scxPCNoBaseImages{64413};
inline constexpr rtl::TResStringRec scxPCNoRegisteredStyles{64414};
inline constexpr rtl::TResStringRec scxPCPageIndexError{64415};
inline constexpr rtl::TResStringRec scxPCPainterClassError{64384};
inline constexpr rtl::TResStringRec scxPCStandardStyleError{64385};
inline constexpr rtl::TResStringRec scxPCStyleNameError{64386};
inline constexpr rtl::TResStringRec scxPCTabCountEqualsZero{64387};
inline constexpr rtl::TResStringRec scxPCTabIndexError{64388};
inline constexpr rtl::TResStringRec scxPCTabVisibleIndexOutsOfBounds{64389};
inline constexpr rtl::TResStringRec scxPCVisibleTabListEmpty{64390};
inline constexpr rtl::TResStringRec scxPCAllowRotateError{64391};
inline constexpr rtl::TResStringRec scxPCDefaultHintCloseButton{64392};
inline constexpr rtl::TResStringRec scxPCDefaultHintGoDialogButton{64393};
inline constexpr rtl::TResStringRec scxPCDefaultHintTopLeftButton{64394};
inline constexpr rtl::TResStringRec scxPCDefaultHintBottomRightButton{64395};
inline constexpr rtl::TResStringRec scxPCDefaultHintTabCloseButton{64396};
inline constexpr rtl::TResStringRec scxPCDefaultHintNewButton{64397};
