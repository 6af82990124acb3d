#include "platform/rtl/Variants.h"
