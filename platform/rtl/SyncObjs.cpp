#include "platform/rtl/SyncObjs.h"

namespace rtl {

TWaitResult TSynchroObject::WaitFor(DWORD)
{
  return wrError;
}

void THandleObject::Destroy()
{
  if (FHandle)
    CloseHandle(FHandle);
  FHandle = nullptr;
  inherited::Destroy();
}

TWaitResult THandleObject::WaitFor(DWORD ATimeout)
{
  switch (WaitForSingleObject(FHandle, ATimeout)) {
    case WAIT_OBJECT_0:
      return wrSignaled;
    case WAIT_ABANDONED:
      return wrAbandoned;
    case WAIT_TIMEOUT:
      return wrTimeout;
    default:
      FLastError = static_cast<int>(GetLastError());
      return wrError;
  }
}

void TEvent::Create(LPSECURITY_ATTRIBUTES AEventAttributes, bool AManualReset, bool AInitialState,
                    const String& AName)
{
  FHandle = CreateEventW(AEventAttributes, AManualReset, AInitialState, AName.empty() ? nullptr : AName.c_str());
  if (!FHandle)
    RaiseLastOSError();
}

void TEvent::Create()
{
  Create(nullptr, true, false, String());
}

void TEvent::SetEvent()
{
  ::SetEvent(FHandle);
}

void TEvent::ResetEvent()
{
  ::ResetEvent(FHandle);
}

void TCriticalSection::Create()
{
  InitializeCriticalSection(&FSection);
  FInitialized = true;
}

void TCriticalSection::Create(DWORD ASpinCount)
{
  if (!InitializeCriticalSectionAndSpinCount(&FSection, ASpinCount))
    RaiseLastOSError();
  FInitialized = true;
}

void TCriticalSection::Destroy()
{
  if (FInitialized)
    DeleteCriticalSection(&FSection);
  FInitialized = false;
  inherited::Destroy();
}

void TCriticalSection::Acquire()
{
  EnterCriticalSection(&FSection);
}

void TCriticalSection::Release()
{
  LeaveCriticalSection(&FSection);
}

bool TCriticalSection::TryEnter()
{
  return TryEnterCriticalSection(&FSection) != FALSE;
}

}  // namespace rtl
