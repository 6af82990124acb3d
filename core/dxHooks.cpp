#include "core/dxHooks.h"

#include <algorithm>
#include <memory>

#include "platform/rtl/ClassesThreads.h"

namespace {

struct TFreeController {
  void operator()(TdxHookController* AController) const { rtl::Free(AController); }
};

// The thread's own controller: Windows calls a thread hook only on the
// thread that installed it, so each thread keeps its procedures apart. A
// thread that ends with hooks still installed frees its controller here.
constinit thread_local std::unique_ptr<TdxHookController, TFreeController> ThreadController;

LRESULT DispatchHook(TdxHookType AHookType, int ACode, WPARAM AWParam, LPARAM ALParam) noexcept
{
  if (ThreadController) {
    try {
      return ThreadController->GetSystemHook(AHookType)->Call(ACode, AWParam, ALParam);
    } catch (...) {
      // Only running out of memory gets here; the procedures catch their own.
      rtl::HandleCallbackException(nullptr);
    }
  }
  return CallNextHookEx(nullptr, ACode, AWParam, ALParam);
}

// One Windows hook procedure per type; the type finds the record.
template <TdxHookType AHookType>
LRESULT CALLBACK HookProc(int ACode, WPARAM AWParam, LPARAM ALParam) noexcept
{
  return DispatchHook(AHookType, ACode, AWParam, ALParam);
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

void Finish()
{
  ThreadController.reset();
}

}  // namespace

RTL_UNIT(dxHooks, nullptr, &Finish);

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
  if (!ThreadController)
    ThreadController.reset(rtl::New<TdxHookController>());
  return ThreadController.get();
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
  if (ThreadController)
    ThreadController->ReleaseHook(AHookProc);
}
