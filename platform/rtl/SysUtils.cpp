#include "platform/rtl/SysUtils.h"

#include <windows.h>

namespace rtl {

void Abort()
{
  throw EAbort(L"Operation aborted");
}

String SysErrorMessage(unsigned long AErrorCode)
{
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
          FORMAT_MESSAGE_ARGUMENT_ARRAY,
      nullptr, AErrorCode, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  String result(buffer ? buffer : L"", length);
  LocalFree(buffer);
  // The system ends its texts with a line break and often a full stop and blank.
  while (!result.empty() && (result.back() <= L' ' || result.back() == L'.'))
    result.pop_back();
  return result;
}

void RaiseLastOSError()
{
  RaiseLastOSError(GetLastError());
}

void RaiseLastOSError(unsigned long AErrorCode)
{
  if (AErrorCode == 0)
    throw EOSError(L"A call to an OS function failed", 0);
  throw EOSError(L"System Error.  Code: " + std::to_wstring(AErrorCode) + L".\r\n" + SysErrorMessage(AErrorCode),
                 AErrorCode);
}

}  // namespace rtl
