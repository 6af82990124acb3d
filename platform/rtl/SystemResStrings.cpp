#include "platform/rtl/SystemResStrings.h"

#include <windows.h>

namespace rtl {

String LoadResString(TResStringRec AString)
{
  // With a zero buffer size LoadStringW hands back a pointer into the mapped
  // resource itself: no copy limit, and the text may hold any length.
  const wchar_t* text = nullptr;
  const int length = LoadStringW(GetModuleHandleW(nullptr), AString.Identifier, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 && text ? String(text, length) : String();
}

}  // namespace rtl
