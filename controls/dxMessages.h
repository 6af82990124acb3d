// The message queue of the user-interface thread: whether a message waits,
// removing the pending messages of a window, a list of "locked" message
// numbers that a hook may swallow, and making a window swallow exactly its
// next message.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <vector>

#include "platform/rtl/System.h"

class TdxMessagesController : public rtl::TObject {
  RTL_CLASS(TdxMessagesController, rtl::TObject)

 public:
  void Create() {}
  // An active block is lifted: the blocked window gets its own procedure
  // back, so nothing calls into a freed controller.
  void Destroy() override;

  // A message AMessage of AWnd itself is waiting (left in the queue).
  bool IsMessageInQueue(HWND AWnd, UINT AMessage);
  // Removes the messages of AWnd (of every window of the thread for 0) from
  // AMsgFilterMin to AMsgFilterMax (AMsgFilterMin alone when the maximum is
  // 0): all of them with AKillAllMessages, else the first. A WM_QUIT met is
  // put back and ends the removal. True when a message was removed.
  bool KillMessages(HWND AWnd, UINT AMsgFilterMin, UINT AMsgFilterMax = 0, bool AKillAllMessages = true);

  // Duplicates count: a number locked twice needs two unlocks.
  bool IsMessageLocked(UINT AMessage) const;
  void LockMessages(std::initializer_list<UINT> AMessages);
  // A number that is not locked is ignored.
  void UnlockMessages(std::initializer_list<UINT> AMessages);

  // The window's next message, whatever it is, is answered 1 and reaches
  // nothing else; then the window has its own procedure again. One block at
  // a time: a second raises EdxException "dxLockMessage fails" and the first
  // stays in force.
  void BlockMessage(HWND AHandle);
  // When AMessage is locked: blocks the window's next message and sets
  // AMessage to 0.
  void BlockLockedMessage(HWND AHandle, UINT& AMessage);

  // The window whose next message is blocked; 0 when no block is active.
  HWND GetBlockedWindow() const { return FBlockedWindow; }

 private:
  friend LRESULT CALLBACK cxBlockedWindowProc(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam) noexcept;

  // Puts the saved procedure back on the blocked window.
  void EndBlock();

  std::vector<UINT> FLockedMessages;
  WNDPROC FOldWndProc;
  HWND FBlockedWindow;
};

// The procedure of a blocked window: ends the block and swallows the message.
LRESULT CALLBACK cxBlockedWindowProc(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam) noexcept;
