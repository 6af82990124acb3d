#pragma once

#include "platform/rtl/SysUtils.h"
