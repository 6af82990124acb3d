// Shared Windows hooks of a thread: many parts of the library want to see the
// messages of the user-interface thread, and every Windows hook costs a
// system call per message, so all procedures of one hook type share one
// Windows hook.
// - TdxHookType, TdxHookProc: the six hook types and the procedure type;
// - dxInstallHook, dxRemoveHook: join and leave the calling thread's hooks;
// - TdxHookController, TdxSystemHook: the calling thread's hooks, one record
//   per type.
//
// Each thread has a controller of its own (Windows calls a thread hook only
// on the thread that installed it): the first procedure of a type installs
// the Windows hook on the calling thread, the last one to leave removes it.
// Procedures run newest first.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/rtl/System.h"
#include "platform/rtl/SystemUnits.h"

RTL_DECLARE_UNIT(dxHooks);

enum TdxHookType { htKeyboard, htMouse, htWndProc, htGetMessage, htCBT, htWndProcRet };
constexpr int dxHookTypeCount = htWndProcRet + 1;

// Called with the hook's code, wParam and lParam. A procedure that wants the
// hook to answer something writes a non-zero value into AHookResult; a
// keyboard or mouse procedure writes 1 to discard the event.
using TdxHookProc = void (*)(int ACode, WPARAM AWParam, LPARAM ALParam, LRESULT& AHookResult);

// The procedures of one hook type on one thread, and the Windows hook that
// calls them; installed exactly while the list is non-empty.
class TdxSystemHook : public rtl::TObject {
  RTL_CLASS(TdxSystemHook, rtl::TObject)

 public:
  void Create(TdxHookType AHookType);
  // Uninstalls a Windows hook still installed: it would call into a freed
  // record.
  void Destroy() override;

  // Appends AHookProc; the first procedure installs the Windows hook.
  void Add(TdxHookProc AHookProc);
  // Removes the first occurrence of AHookProc; the last procedure to leave
  // removes the Windows hook. Nothing happens when it is not listed.
  void Remove(TdxHookProc AHookProc);
  // The Windows hook's work: every procedure, newest first, then the next
  // hook of the Windows chain.
  LRESULT Call(int ACode, WPARAM AWParam, LPARAM ALParam);

  // 0 while not installed, and when SetWindowsHookExW failed.
  HHOOK GetHandle() const { return FHandle; }
  TdxHookType GetHookType() const { return FHookType; }
  int GetCount() const { return static_cast<int>(FHooks.size()); }

 private:
  void Install();
  void Uninstall();

  HHOOK FHandle;
  TdxHookType FHookType;
  // In the order of registration; the same procedure may be listed twice.
  std::vector<TdxHookProc> FHooks;
  // The position of every walk running over FHooks (calls nest when a
  // procedure sends a message): the index of the procedure last called, or
  // Count before the first. Removals move them, so that a walk calls each
  // remaining procedure once and never indexes past the end.
  std::vector<int*> FWalks;
};

// A thread's hooks: one record per hook type, in type order.
class TdxHookController : public rtl::TObject {
  RTL_CLASS(TdxHookController, rtl::TObject)

 public:
  void Create();
  void Destroy() override;

  void SetHook(TdxHookType AHookType, TdxHookProc AHookProc);
  // Removes the first occurrence of AHookProc from the list of every type.
  void ReleaseHook(TdxHookProc AHookProc);

  TdxSystemHook* GetSystemHook(TdxHookType AHookType) const { return FSystemHooks[AHookType]; }

 private:
  TdxSystemHook* FSystemHooks[dxHookTypeCount];
};

// The calling thread's controller, created on first use. It is freed when
// the thread ends or, for the thread that finishes the units, at the unit's
// shut-down; hooks still installed then are removed.
TdxHookController* dxHookController();

// Adds AHookProc to the calling thread's procedures of AHookType. Nil is
// ignored.
void dxInstallHook(TdxHookType AHookType, TdxHookProc AHookProc);
// Removes one occurrence of AHookProc from every hook type of the calling
// thread.
void dxRemoveHook(TdxHookProc AHookProc);
