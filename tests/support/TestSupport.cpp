#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace kvtest {

int PumpMessages(UINT ACounted)
{
  int count = 0;
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    count += ACounted != WM_NULL && msg.message == ACounted;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return count;
}

bool PumpUntil(const std::function<bool()>& ADone, HANDLE AWake, const std::function<void()>& AOnWake)
{
  const ULONGLONG deadline = GetTickCount64() + GuardTimeout;
  const DWORD handles = AWake ? 1 : 0;
  while (!ADone()) {
    if (GetTickCount64() > deadline)
      return false;
    // Short waits: a condition may also change without any message.
    if (MsgWaitForMultipleObjects(handles, &AWake, FALSE, 20, QS_ALLINPUT) == WAIT_OBJECT_0 && handles && AOnWake)
      AOnWake();
    PumpMessages();
  }
  return true;
}

namespace {

std::wstring Numbered(const std::vector<std::wstring>& AEntries)
{
  std::wstring text;
  for (std::size_t i = 0; i < AEntries.size(); ++i)
    text += std::to_wstring(i + 1) + L". " + AEntries[i] + L"\n";
  return text;
}

}  // namespace

void ExpectSequence(const std::vector<std::wstring>& AExpected, const std::vector<std::wstring>& AActual,
                    const char* ACase)
{
  if (AExpected == AActual)
    return;
  const std::wstring dump = L"expected:\n" + Numbered(AExpected) + L"actual:\n" + Numbered(AActual);
  // The entries are ASCII; gtest prints narrow text.
  ADD_FAILURE() << ACase << (*ACase ? "\n" : "") << std::string(dump.begin(), dump.end());
}

void TSequenceLog::Expect(const std::vector<std::wstring>& AExpected, const char* ACase) const
{
  ExpectSequence(AExpected, FEntries, ACase);
}

}  // namespace kvtest
