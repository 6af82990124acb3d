#include "platform/vcl/Graphics.h"
