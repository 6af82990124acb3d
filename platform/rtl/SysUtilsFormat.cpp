#include "platform/rtl/SysUtils.h"
