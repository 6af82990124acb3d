// The run-time library's basic types.
#pragma once

#include <string>

namespace rtl {

// mingw's wchar_t is UTF-16, the same as the framework's strings.
using Char = wchar_t;
using String = std::wstring;

}  // namespace rtl
