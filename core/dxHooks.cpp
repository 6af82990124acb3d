#include "core/dxHooks.h"

#include <algorithm>

#include "platform/rtl/ClassesThreads.h"
#include "platform/rtl/SysUtils.h"

namespace {

// Runs on the ending thread, so the controller's hooks are still its own to
// remove.
void WINAPI FreeThreadController(void* AController) noexcept
{
  rtl::GuardCallback([AController] { rtl::Free(static_cast<TdxHookController*>(AController)); });
}

// The thread's own controller (Windows calls a thread hook only on the
// thread that installed it, so each thread keeps its procedures apart) sits
// in a fiber-local slot, whose callback frees it when the thread ends. Not a
// thread_local with a destructor: mingw frees its emulated thread-local
// storage at thread end before it runs those destructors, which then read
// the freed slot and freed whatever the heap had written there.
DWORD ControllerSlot()
{
  static const DWORD Slot = FlsAlloc(&FreeThreadController);
  return Slot;
}

// Nil while the thread has none (and when no slot could be had).
TdxHookController* ThreadController()
{
  return static_cast<TdxHookController*>(FlsGetValue(ControllerSlot()));
}

// One Windows hook procedure per type; the type finds the record. When the
// record cannot be called (only running out of memory gets there: the
// procedures catch their own), the next hook in the chain answers.
template <TdxHookType AHookType>
LRESULT CALLBACK HookProc(int ACode, WPARAM AWParam, LPARAM ALParam) noexcept
{
  LRESULT result = 0;
  TdxHookController* controller = ThreadController();
  if (controller && rtl::GuardCallback(false, [&] {
        result = controller->GetSystemHook(AHookType)->Call(ACode, AWParam, ALParam);
        return true;
      }))
    return result;
  return CallNextHookEx(nullptr, ACode, AWParam, ALParam);
}

struct THookTypeInfo {
  int WindowsHookId;
  HOOKPROC Proc;
};

constexpr THookTypeInfo HookTypeInfo[dxHookTypeCount] = {
    {WH_KEYBOARD, &HookProc<htKeyboard>},   {WH_MOUSE, &HookProc<htMouse>},
    {WH_CALLWNDPROC, &HookProc<htWndProc>}, {WH_GETMESSAGE, &HookProc<htGetMessage>},
    {WH_CBT, &HookProc<htCBT>},             {WH_CALLWNDPROCRET, &HookProc<htWndProcRet>},
};

// Registers a walk's position with its record for as long as the walk runs.
class TWalkRegistration {
 public:
  TWalkRegistration(std::vector<int*>& AWalks, int* APosition) : FWalks(AWalks) { FWalks.push_back(APosition); }
  // Walks nest, so the innermost one ends first.
  ~TWalkRegistration() { FWalks.pop_back(); }
  TWalkRegistration(const TWalkRegistration&) = delete;
  TWalkRegistration& operator=(const TWalkRegistration&) = delete;

 private:
  std::vector<int*>& FWalks;
};

void dxHooksFinish()
{
  TdxHookController* Controller = ThreadController();
  if (!Controller)
    return;
  // Emptied first: the thread's end must not free it a second time.
  FlsSetValue(ControllerSlot(), nullptr);
  rtl::Free(Controller);
}

}  // namespace

RTL_UNIT(dxHooks, nullptr, &dxHooksFinish);

// ---------------------------------------------------------------------------
// TdxSystemHook

void TdxSystemHook::Create(TdxHookType AHookType)
{
  FHookType = AHookType;
}

void TdxSystemHook::Destroy()
{
  Uninstall();
  inherited::Destroy();
}

void TdxSystemHook::Add(TdxHookProc AHookProc)
{
  // A failed install is not retried: the procedure stays listed unheard.
  if (FHooks.empty())
    Install();
  FHooks.push_back(AHookProc);
}

void TdxSystemHook::Remove(TdxHookProc AHookProc)
{
  const auto Found = std::find(FHooks.begin(), FHooks.end(), AHookProc);
  if (Found == FHooks.end())
    return;
  const int Index = static_cast<int>(Found - FHooks.begin());
  FHooks.erase(Found);
  // A procedure below a walk's position moves the rest down by one; the
  // walk's next one (position - 1) is then one lower too. Removing the one
  // just called, or one the walk has passed, leaves the next where it was.
  for (int* Position : FWalks)
    if (Index < *Position)
      --*Position;
  if (FHooks.empty())
    Uninstall();
}

LRESULT TdxSystemHook::Call(int ACode, WPARAM AWParam, LPARAM ALParam)
{
  LRESULT Result = 0;
  // Indexes the live list, so procedures may leave (or join) during the walk;
  // Remove keeps the position in step. Those joining are not called.
  int Position = GetCount();
  const TWalkRegistration Registration(FWalks, &Position);
  while (Position > 0) {
    --Position;
    try {
      FHooks[Position](ACode, AWParam, ALParam, Result);
    } catch (...) {
      // One failing procedure must not keep the message from the others.
      rtl::HandleCallbackException(this);
    }
  }
  const LRESULT NextResult = CallNextHookEx(FHandle, ACode, AWParam, ALParam);
  return Result != 0 ? Result : NextResult;
}

void TdxSystemHook::Install()
{
  const THookTypeInfo& Info = HookTypeInfo[FHookType];
  FHandle = SetWindowsHookExW(Info.WindowsHookId, Info.Proc, nullptr, GetCurrentThreadId());
}

void TdxSystemHook::Uninstall()
{
  if (FHandle)
    UnhookWindowsHookEx(FHandle);
  FHandle = nullptr;
}

// ---------------------------------------------------------------------------
// TdxHookController

void TdxHookController::Create()
{
  for (int I = 0; I < dxHookTypeCount; ++I)
    FSystemHooks[I] = rtl::New<TdxSystemHook>(static_cast<TdxHookType>(I));
}

void TdxHookController::Destroy()
{
  for (TdxSystemHook*& SystemHook : FSystemHooks)
    rtl::FreeAndNil(SystemHook);
  inherited::Destroy();
}

void TdxHookController::SetHook(TdxHookType AHookType, TdxHookProc AHookProc)
{
  GetSystemHook(AHookType)->Add(AHookProc);
}

void TdxHookController::ReleaseHook(TdxHookProc AHookProc)
{
  for (TdxSystemHook* SystemHook : FSystemHooks)
    SystemHook->Remove(AHookProc);
}

// ---------------------------------------------------------------------------
// Routines

TdxHookController* dxHookController()
{
  TdxHookController* Controller = ThreadController();
  if (!Controller) {
    Controller = rtl::New<TdxHookController>();
    if (!FlsSetValue(ControllerSlot(), Controller)) {
      const DWORD Error = GetLastError();
      rtl::Free(Controller);
      rtl::RaiseLastOSError(Error);
    }
  }
  return Controller;
}

void dxInstallHook(TdxHookType AHookType, TdxHookProc AHookProc)
{
  // A nil procedure would be called on the next message.
  if (AHookProc)
    dxHookController()->SetHook(AHookType, AHookProc);
}

void dxRemoveHook(TdxHookProc AHookProc)
{
  // A thread without a controller has nothing to remove.
  if (TdxHookController* Controller = ThreadController())
    Controller->ReleaseHook(AHookProc);
}
