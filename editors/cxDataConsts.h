// The data services' messages (product "KvDataController"), registered with the
// resource-string repository so that a translation can replace them.
#pragma once

#include "platform/rtl/SystemResStrings.h"
#include "platform/rtl/SystemUnits.h"

RTL_DECLARE_UNIT(cxDataConsts);

inline constexpr rtl::TResStringRec cxSDataReadError{65109};
inline constexpr rtl::TResStringRec cxSDataWriteError{65110};
inline constexpr rtl::TResStringRec cxSDataItemExistError{65111};
inline constexpr rtl::TResStringRec cxSDataRecordIndexError{65112};
inline constexpr rtl::TResStringRec cxSDataItemIndexError{65113};
inline constexpr rtl::TResStringRec cxSDataProviderModeError{65114};
inline constexpr rtl::TResStringRec cxSDataInvalidStreamFormat{65115};
inline constexpr rtl::TResStringRec cxSDataRowIndexError{65116};
inline constexpr rtl::TResStringRec cxSDataCustomDataSourceInvalidCompare{65117};
inline constexpr rtl::TResStringRec cxSDBDetailFilterControllerNotFound{65118};
inline constexpr rtl::TResStringRec cxSDBNotInGridMode{65119};
inline constexpr rtl::TResStringRec cxSDBKeyFieldNotFound{65088};
