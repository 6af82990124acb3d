// What the test programs share that needs no control: running the thread's
// messages, while a condition waits or until the queue is empty, and a log
// of what happened in order, printed numbered when it differs.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace kvtest {

// Dispatches every message waiting for the thread, translated first as a
// message loop does; answers how many of them were ACounted (none when
// ACounted is WM_NULL).
int PumpMessages(UINT ACounted = WM_NULL);

// Runs the thread's messages until ADone holds. Also wakes when AWake (when
// given) is signalled and calls AOnWake, for work another thread hands over
// through an event. False when ADone still fails after the guard time: the
// guard stops a hang, it is no timing expectation.
bool PumpUntil(const std::function<bool()>& ADone, HANDLE AWake = nullptr, const std::function<void()>& AOnWake = {});

// The guard time of PumpUntil, in milliseconds, for waits that pump nothing.
inline constexpr DWORD GuardTimeout = 10000;

// Entries recorded in the order they happened; Expect compares the whole
// sequence and prints both numbered when they differ.
class TSequenceLog {
 public:
  void Add(std::wstring AEntry) { FEntries.push_back(std::move(AEntry)); }
  void Clear() { FEntries.clear(); }
  const std::vector<std::wstring>& Entries() const { return FEntries; }
  // An ADD_FAILURE naming ACase when the log is not AExpected.
  void Expect(const std::vector<std::wstring>& AExpected, const char* ACase = "") const;

 private:
  std::vector<std::wstring> FEntries;
};

// Both sequences numbered when they differ, as an ADD_FAILURE naming ACase.
void ExpectSequence(const std::vector<std::wstring>& AExpected, const std::vector<std::wstring>& AActual,
                    const char* ACase = "");

}  // namespace kvtest
