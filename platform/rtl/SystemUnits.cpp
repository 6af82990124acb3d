#include "platform/rtl/SystemUnits.h"
