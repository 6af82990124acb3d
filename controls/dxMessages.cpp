#include "controls/dxMessages.h"

#include <algorithm>

#include "controls/cxControls.h"
#include "controls/cxWindowUtils.h"
#include "core/dxCore.h"
#include "platform/rtl/ClassesThreads.h"

void TdxMessagesController::Destroy()
{
  EndBlock();
  inherited::Destroy();
}

bool TdxMessagesController::IsMessageInQueue(HWND AWnd, UINT AMessage)
{
  MSG msg{};
  return PeekMessageW(&msg, AWnd, AMessage, AMessage, PM_NOREMOVE) && msg.hwnd == AWnd;
}

bool TdxMessagesController::KillMessages(HWND AWnd, UINT AMsgFilterMin, UINT AMsgFilterMax, bool AKillAllMessages)
{
  const UINT filterMax = AMsgFilterMax == 0 ? AMsgFilterMin : AMsgFilterMax;
  bool result = false;
  MSG msg{};
  while (PeekMessageW(&msg, AWnd, AMsgFilterMin, filterMax, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // The loop that posted it must still see it.
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    result = true;
    if (!AKillAllMessages)
      break;
  }
  return result;
}

bool TdxMessagesController::IsMessageLocked(UINT AMessage) const
{
  return std::find(FLockedMessages.begin(), FLockedMessages.end(), AMessage) != FLockedMessages.end();
}

void TdxMessagesController::LockMessages(std::initializer_list<UINT> AMessages)
{
  FLockedMessages.insert(FLockedMessages.end(), AMessages.begin(), AMessages.end());
}

void TdxMessagesController::UnlockMessages(std::initializer_list<UINT> AMessages)
{
  for (const UINT message : AMessages) {
    const auto found = std::find(FLockedMessages.begin(), FLockedMessages.end(), message);
    if (found != FLockedMessages.end())
      FLockedMessages.erase(found);
  }
}

void TdxMessagesController::BlockMessage(HWND AHandle)
{
  if (FOldWndProc)
    throw EdxException(L"dxLockMessage fails");
  // A window of another process (or none) refuses the new procedure; no
  // block is active then.
  const WNDPROC previous = cxSetWindowProc(AHandle, &cxBlockedWindowProc);
  if (!previous)
    return;
  FOldWndProc = previous;
  FBlockedWindow = AHandle;
}

void TdxMessagesController::BlockLockedMessage(HWND AHandle, UINT& AMessage)
{
  if (!IsMessageLocked(AMessage))
    return;
  BlockMessage(AHandle);
  AMessage = 0;
}

void TdxMessagesController::EndBlock()
{
  if (!FOldWndProc)
    return;
  cxSetWindowProc(FBlockedWindow, FOldWndProc);
  FOldWndProc = nullptr;
  FBlockedWindow = nullptr;
}

LRESULT CALLBACK cxBlockedWindowProc(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam) noexcept
{
  return rtl::GuardCallback(LRESULT(1), [&] {
    TdxMessagesController* controller = cxGetMessagesController();
    if (controller && controller->FBlockedWindow == AWnd) {
      controller->EndBlock();
      return LRESULT(1);
    }
    // A block that outlived its controller: nothing to put back, so the
    // message goes where the window's default would take it.
    return DefWindowProcW(AWnd, AMsg, AWParam, ALParam);
  });
}
