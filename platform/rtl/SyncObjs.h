// Synchronisation objects of the SyncObjs unit:
// - TWaitResult, what a wait ended with;
// - TSynchroObject and THandleObject, the bases;
// - TEvent and TSimpleEvent, operating-system events;
// - TCriticalSection, with an optional spin count.
#pragma once

#include <windows.h>

#include "platform/rtl/System.h"

namespace rtl {

enum TWaitResult : int { wrSignaled, wrTimeout, wrAbandoned, wrError, wrIOCompletion };

// What every synchronisation object can do: take it, and give it back.
class TSynchroObject : public TObject {
  RTL_CLASS(TSynchroObject, TObject)

 public:
  virtual void Acquire() {}
  virtual void Release() {}
  virtual TWaitResult WaitFor(DWORD ATimeout);
};

// An object over a waitable handle, closed when the object goes.
class THandleObject : public TSynchroObject {
  RTL_CLASS(THandleObject, TSynchroObject)

 public:
  void Destroy() override;
  // Signalled, abandoned (a mutex whose owner ended), timed out, or an error
  // whose code LastError keeps.
  TWaitResult WaitFor(DWORD ATimeout) override;

  HANDLE Handle() const { return FHandle; }
  int LastError() const { return FLastError; }

 protected:
  HANDLE FHandle = nullptr;
  int FLastError = 0;
};

class TEvent : public THandleObject {
  RTL_CLASS(TEvent, THandleObject)

 public:
  // A new event, or the existing one of that name; an empty name makes an
  // unnamed event. Raises EOSError when Windows refuses.
  void Create(LPSECURITY_ATTRIBUTES AEventAttributes, bool AManualReset, bool AInitialState,
              const String& AName);
  // Manual reset, not signalled, unnamed.
  void Create();

  void SetEvent();
  void ResetEvent();
};

// The framework's name for an event made with the short constructor.
class TSimpleEvent : public TEvent {
  RTL_CLASS(TSimpleEvent, TEvent)
};

class TCriticalSection : public TSynchroObject {
  RTL_CLASS(TCriticalSection, TSynchroObject)

 public:
  void Create();
  // A thread that finds the section taken spins this many times before it
  // sleeps; short sections held across processors (queues, lists) gain.
  void Create(DWORD ASpinCount);
  void Destroy() override;

  void Acquire() override;
  void Release() override;
  // True when the section was free (or already ours) and is now taken.
  bool TryEnter();
  void Enter() { Acquire(); }
  void Leave() { Release(); }

 private:
  CRITICAL_SECTION FSection;
  bool FInitialized = false;
};

}  // namespace rtl
