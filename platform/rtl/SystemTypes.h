// The run-time library's basic value types: characters and strings, the
// numeric types whose layout stored formats rely on, sets, named
// enumerations and the rounding rules.
#pragma once

#include <cstdint>
#include <string>

namespace rtl {

// mingw's wchar_t is UTF-16, the same as the framework's strings.
using Char = wchar_t;
using String = std::wstring;

// 80-bit x87 on i686; streams write its 10 significant bytes.
using Extended = long double;

// Days since 1899-12-30; the fraction is the time of day.
using TDateTime = double;

}  // namespace rtl
