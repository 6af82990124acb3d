#include "platform/rtl/SystemTypes.h"
