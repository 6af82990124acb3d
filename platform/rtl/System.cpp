#include "platform/rtl/System.h"
