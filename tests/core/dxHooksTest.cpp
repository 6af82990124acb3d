// The shared thread hooks, driven by real messages to a window of the test:
// sent messages reach the window-procedure hooks, posted ones the
// get-message hook, window creation the CBT hook.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/dxHooks.h"
#include "platform/rtl/ClassesThreads.h"
#include "tests/support/TestSupport.h"

namespace {

constexpr UINT TestMessage = WM_APP + 17;
constexpr WPARAM TestWParam = 0x1234;
constexpr LPARAM TestLParam = 0x56789A;
// What the test window answers to TestMessage.
constexpr LRESULT TestAnswer = 4321;

LRESULT CALLBACK TestWindowProc(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam)
{
  return AMsg == TestMessage ? TestAnswer : DefWindowProcW(AWnd, AMsg, AWParam, ALParam);
}

const wchar_t* TestWindowClass()
{
  static const wchar_t* const Name = [] {
    WNDCLASSW Class{};
    Class.lpfnWndProc = &TestWindowProc;
    Class.hInstance = GetModuleHandleW(nullptr);
    Class.lpszClassName = L"KvHooksTestWindow";
    RegisterClassW(&Class);
    return Class.lpszClassName;
  }();
  return Name;
}

// A hidden top-level window of the calling thread.
class TTestWindow {
 public:
  TTestWindow()
      : FHandle(CreateWindowExW(0, TestWindowClass(), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr))
  {
  }
  ~TTestWindow() { DestroyWindow(FHandle); }
  TTestWindow(const TTestWindow&) = delete;
  TTestWindow& operator=(const TTestWindow&) = delete;
  HWND Handle() const { return FHandle; }
  LRESULT Send() const { return SendMessageW(FHandle, TestMessage, TestWParam, TestLParam); }

 private:
  HWND FHandle;
};

// The procedures called, by number, in call order.
std::vector<int>& CallLog()
{
  static std::vector<int> Log;
  return Log;
}

// What a procedure does when it is called: removes others (or itself)
// during the walk, after sending the message once more when Resend is set,
// so that the removal happens in a walk nested in another.
struct TWalkCase {
  const char* Name;
  int Caller;
  bool Resend;
  std::vector<int> Removed;
  std::vector<int> Expected;
};

const TWalkCase* ActiveCase;
int CallerCalls;
bool ThrowInB;

void RunAction(int ANumber, HWND AWnd);

// A, B, C (0, 1, 2): log TestMessage as it passes by.
template <int N>
void WndProcHook(int ACode, WPARAM /*AWParam*/, LPARAM ALParam, LRESULT& /*AHookResult*/)
{
  const auto* Call = reinterpret_cast<const CWPSTRUCT*>(ALParam);
  if (ACode != HC_ACTION || Call->message != TestMessage)
    return;
  CallLog().push_back(N);
  RunAction(N, Call->hwnd);
}

constexpr TdxHookProc Procs[] = {&WndProcHook<0>, &WndProcHook<1>, &WndProcHook<2>};
constexpr int A = 0;
constexpr int B = 1;
constexpr int C = 2;

void RunAction(int ANumber, HWND AWnd)
{
  if (ANumber == B && ThrowInB)
    throw rtl::Exception(L"B failed");
  if (!ActiveCase || ANumber != ActiveCase->Caller)
    return;
  ++CallerCalls;
  if (ActiveCase->Resend && CallerCalls == 1)
    SendMessageW(AWnd, TestMessage, 0, 0);
  else if (CallerCalls == (ActiveCase->Resend ? 2 : 1))
    for (int Removed : ActiveCase->Removed)
      dxRemoveHook(Procs[Removed]);
}

HHOOK HandleOf(TdxHookType AHookType)
{
  return dxHookController()->GetSystemHook(AHookType)->GetHandle();
}

int CountOf(TdxHookType AHookType)
{
  return dxHookController()->GetSystemHook(AHookType)->GetCount();
}

// Unhooking succeeds only for a hook still installed.
bool StillInstalled(HHOOK AHandle)
{
  return UnhookWindowsHookEx(AHandle) != FALSE;
}

constexpr TdxHookType AllTypes[] = {htKeyboard, htMouse, htWndProc, htGetMessage, htCBT, htWndProcRet};

class Hooks : public testing::Test {
 protected:
  static void TearDownTestSuite() { unit_dxHooks.finalization(); }

  void SetUp() override
  {
    CallLog().clear();
    ActiveCase = nullptr;
    CallerCalls = 0;
    ThrowInB = false;
  }
  // Every case leaves the thread without procedures, hence without hooks.
  void TearDown() override
  {
    for (TdxHookType HookType : AllTypes)
      while (CountOf(HookType) > 0)
        for (TdxHookProc Proc : Procs)
          dxRemoveHook(Proc);
    for (TdxHookType HookType : AllTypes)
      EXPECT_EQ(HandleOf(HookType), nullptr) << HookType;
  }

  std::vector<int> SendAndLog() const
  {
    CallLog().clear();
    FWindow.Send();
    return CallLog();
  }

  TTestWindow FWindow;
};

TEST_F(Hooks, OneWindowsHookPerTypeWhileProceduresAreListed)
{
  for (TdxHookType HookType : AllTypes) {
    SCOPED_TRACE(HookType);
    dxInstallHook(HookType, Procs[A]);
    const HHOOK Handle = HandleOf(HookType);
    ASSERT_NE(Handle, nullptr);
    for (TdxHookType Other : AllTypes) {
      if (Other != HookType) {
        EXPECT_EQ(HandleOf(Other), nullptr) << Other;
      }
    }

    dxInstallHook(HookType, Procs[B]);
    EXPECT_EQ(HandleOf(HookType), Handle);
    dxRemoveHook(Procs[A]);
    EXPECT_EQ(HandleOf(HookType), Handle);
    EXPECT_EQ(CountOf(HookType), 1);

    dxRemoveHook(Procs[B]);
    EXPECT_EQ(HandleOf(HookType), nullptr);
    EXPECT_FALSE(StillInstalled(Handle));
  }
}

TEST_F(Hooks, ProceduresRunNewestFirst)
{
  dxInstallHook(htWndProc, Procs[A]);
  dxInstallHook(htWndProc, Procs[B]);
  dxInstallHook(htWndProc, Procs[C]);
  EXPECT_EQ(SendAndLog(), (std::vector<int>{C, B, A}));
}

TEST_F(Hooks, TheSameProcedureMayBeListedTwice)
{
  dxInstallHook(htWndProc, Procs[A]);
  dxInstallHook(htWndProc, Procs[B]);
  dxInstallHook(htWndProc, Procs[A]);
  EXPECT_EQ(SendAndLog(), (std::vector<int>{A, B, A}));
  // The first registration leaves.
  dxRemoveHook(Procs[A]);
  EXPECT_EQ(SendAndLog(), (std::vector<int>{A, B}));
  dxRemoveHook(Procs[A]);
  EXPECT_EQ(SendAndLog(), (std::vector<int>{B}));
  EXPECT_NE(HandleOf(htWndProc), nullptr);
}

TEST_F(Hooks, RemovingLeavesEveryTypeAndIgnoresStrangers)
{
  dxInstallHook(htWndProc, Procs[A]);
  dxInstallHook(htGetMessage, Procs[A]);
  dxInstallHook(htGetMessage, Procs[B]);
  const HHOOK WndProcHandle = HandleOf(htWndProc);

  dxRemoveHook(Procs[C]);
  dxRemoveHook(nullptr);
  EXPECT_EQ(HandleOf(htWndProc), WndProcHandle);
  EXPECT_EQ(SendAndLog(), (std::vector<int>{A}));

  dxRemoveHook(Procs[A]);
  EXPECT_EQ(HandleOf(htWndProc), nullptr);
  EXPECT_EQ(CountOf(htGetMessage), 1);
  EXPECT_NE(HandleOf(htGetMessage), nullptr);
  EXPECT_EQ(SendAndLog(), std::vector<int>{});
}

TEST_F(Hooks, ANilProcedureIsNotListed)
{
  dxInstallHook(htWndProc, nullptr);
  EXPECT_EQ(CountOf(htWndProc), 0);
  EXPECT_EQ(HandleOf(htWndProc), nullptr);
}

// A, B and C are listed in that order and so called C, B, A. The walk goes
// over the live list: a procedure that removed the ones below it made the
// walk read past the end of the list, and one that removed a procedure below
// it got called a second time.
TEST_F(Hooks, ProceduresMayLeaveDuringTheWalk)
{
  const TWalkCase Cases[] = {
      {"C removes itself", C, false, {C}, {C, B, A}},
      {"B removes itself", B, false, {B}, {C, B, A}},
      {"A removes itself", A, false, {A}, {C, B, A}},
      {"C removes A", C, false, {A}, {C, B}},
      {"C removes B", C, false, {B}, {C, A}},
      {"C removes A and B", C, false, {A, B}, {C}},
      {"C removes B and itself", C, false, {B, C}, {C, A}},
      {"B removes A and itself", B, false, {A, B}, {C, B}},
      {"B removes C, already called", B, false, {C}, {C, B, A}},
      {"A removes all", A, false, {C, B, A}, {C, B, A}},
      {"C removes all", C, false, {A, B, C}, {C}},
      {"nested: C removes A and B", C, true, {A, B}, {C, C}},
      {"nested: B removes C and A", B, true, {C, A}, {C, B, C, B}},
      {"nested: B removes itself", B, true, {B}, {C, B, C, B, A, A}},
  };
  for (const TWalkCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    for (TdxHookProc Proc : Procs)
      dxInstallHook(htWndProc, Proc);
    ActiveCase = &Case;
    CallerCalls = 0;
    EXPECT_EQ(SendAndLog(), Case.Expected);

    ActiveCase = nullptr;
    std::vector<int> Remaining;
    for (int N = C; N >= A; --N)
      if (std::find(Case.Removed.begin(), Case.Removed.end(), N) == Case.Removed.end())
        Remaining.push_back(N);
    EXPECT_EQ(SendAndLog(), Remaining);
    EXPECT_EQ(HandleOf(htWndProc) != nullptr, !Remaining.empty());
    for (int N : Remaining)
      dxRemoveHook(Procs[N]);
  }
}

// Collects what the application's exception handler is given.
struct TExceptionHandler {
  std::vector<std::wstring> Messages;
  void HandleException(rtl::TObject* /*ASender*/)
  {
    try {
      throw;
    } catch (const rtl::Exception& E) {
      Messages.push_back(E.Message());
    }
  }
};

TEST_F(Hooks, AFailingProcedureGoesToTheApplicationAndTheWalkGoesOn)
{
  TExceptionHandler Handler;
  const rtl::TNotifyEvent Saved = rtl::GetApplicationHandleException();
  rtl::SetApplicationHandleException(rtl::TNotifyEvent::Bind<&TExceptionHandler::HandleException>(&Handler));
  for (TdxHookProc Proc : Procs)
    dxInstallHook(htWndProc, Proc);
  ThrowInB = true;
  EXPECT_EQ(SendAndLog(), (std::vector<int>{C, B, A}));
  EXPECT_EQ(Handler.Messages, std::vector<std::wstring>{L"B failed"});
  EXPECT_EQ(FWindow.Send(), TestAnswer);
  rtl::SetApplicationHandleException(Saved);
}

// ---------------------------------------------------------------------------
// What each hook type hands its procedures

struct TSeen {
  int Code = -1;
  WPARAM WParam = 0;
  UINT Message = 0;
  WPARAM MessageWParam = 0;
  LPARAM MessageLParam = 0;
  HWND Wnd = nullptr;
  LRESULT Answer = 0;
  int Calls = 0;
};

TSeen Seen;

void SeeWndProc(int ACode, WPARAM AWParam, LPARAM ALParam, LRESULT& /*AHookResult*/)
{
  const auto* Call = reinterpret_cast<const CWPSTRUCT*>(ALParam);
  if (Call->message == TestMessage) {
    ++Seen.Calls;
    Seen = {ACode, AWParam, Call->message, Call->wParam, Call->lParam, Call->hwnd, 0, Seen.Calls};
  }
}

void SeeWndProcRet(int ACode, WPARAM AWParam, LPARAM ALParam, LRESULT& /*AHookResult*/)
{
  const auto* Call = reinterpret_cast<const CWPRETSTRUCT*>(ALParam);
  if (Call->message == TestMessage) {
    ++Seen.Calls;
    Seen = {ACode, AWParam, Call->message, Call->wParam, Call->lParam, Call->hwnd, Call->lResult, Seen.Calls};
  }
}

void SeeGetMessage(int ACode, WPARAM AWParam, LPARAM ALParam, LRESULT& /*AHookResult*/)
{
  const auto* Msg = reinterpret_cast<const MSG*>(ALParam);
  if (Msg->message == TestMessage) {
    ++Seen.Calls;
    Seen = {ACode, AWParam, Msg->message, Msg->wParam, Msg->lParam, Msg->hwnd, 0, Seen.Calls};
  }
}

TEST_F(Hooks, SentMessagesReachTheWindowProcedureHooks)
{
  dxInstallHook(htWndProc, &SeeWndProc);
  Seen = {};
  EXPECT_EQ(FWindow.Send(), TestAnswer);
  EXPECT_EQ(Seen.Calls, 1);
  EXPECT_EQ(Seen.Code, HC_ACTION);
  // Non-zero: sent by the window's own thread.
  EXPECT_NE(Seen.WParam, 0u);
  EXPECT_EQ(Seen.Message, TestMessage);
  EXPECT_EQ(Seen.MessageWParam, TestWParam);
  EXPECT_EQ(Seen.MessageLParam, TestLParam);
  EXPECT_EQ(Seen.Wnd, FWindow.Handle());
  dxRemoveHook(&SeeWndProc);

  dxInstallHook(htWndProcRet, &SeeWndProcRet);
  Seen = {};
  FWindow.Send();
  EXPECT_EQ(Seen.Calls, 1);
  EXPECT_EQ(Seen.Code, HC_ACTION);
  EXPECT_EQ(Seen.Message, TestMessage);
  EXPECT_EQ(Seen.MessageWParam, TestWParam);
  EXPECT_EQ(Seen.MessageLParam, TestLParam);
  EXPECT_EQ(Seen.Wnd, FWindow.Handle());
  EXPECT_EQ(Seen.Answer, TestAnswer);
  dxRemoveHook(&SeeWndProcRet);
}

TEST_F(Hooks, RetrievedMessagesReachTheGetMessageHook)
{
  dxInstallHook(htGetMessage, &SeeGetMessage);
  Seen = {};
  PostMessageW(FWindow.Handle(), TestMessage, TestWParam, TestLParam);
  MSG Msg;
  ASSERT_TRUE(PeekMessageW(&Msg, FWindow.Handle(), TestMessage, TestMessage, PM_REMOVE));
  EXPECT_EQ(Seen.Calls, 1);
  EXPECT_EQ(Seen.Code, HC_ACTION);
  EXPECT_EQ(Seen.WParam, static_cast<WPARAM>(PM_REMOVE));
  EXPECT_EQ(Seen.Message, TestMessage);
  EXPECT_EQ(Seen.MessageWParam, TestWParam);
  EXPECT_EQ(Seen.MessageLParam, TestLParam);
  EXPECT_EQ(Seen.Wnd, FWindow.Handle());
  dxRemoveHook(&SeeGetMessage);
}

// The CBT hook refuses a window's creation when it answers non-zero.
int RefusedCreations;
int PassedOnCreations;
bool RefuseCreation;

void RefuseCreationHook(int ACode, WPARAM /*AWParam*/, LPARAM /*ALParam*/, LRESULT& AHookResult)
{
  if (ACode == HCBT_CREATEWND && RefuseCreation) {
    ++RefusedCreations;
    AHookResult = 1;
  }
}

// Installed ahead of the shared hook, so the Windows chain calls it next.
LRESULT CALLBACK EarlierCBTHook(int ACode, WPARAM AWParam, LPARAM ALParam)
{
  if (ACode == HCBT_CREATEWND)
    ++PassedOnCreations;
  return CallNextHookEx(nullptr, ACode, AWParam, ALParam);
}

TEST_F(Hooks, ANonZeroResultIsTheAnswerAndTheChainStillRuns)
{
  const HHOOK Earlier = SetWindowsHookExW(WH_CBT, &EarlierCBTHook, nullptr, GetCurrentThreadId());
  ASSERT_NE(Earlier, nullptr);
  dxInstallHook(htCBT, &RefuseCreationHook);
  for (bool Refuse : {false, true}) {
    SCOPED_TRACE(Refuse);
    RefuseCreation = Refuse;
    RefusedCreations = 0;
    PassedOnCreations = 0;
    TTestWindow Window;
    EXPECT_EQ(Window.Handle() == nullptr, Refuse);
    EXPECT_EQ(RefusedCreations, Refuse ? 1 : 0);
    EXPECT_EQ(PassedOnCreations, 1);
  }
  dxRemoveHook(&RefuseCreationHook);
  UnhookWindowsHookEx(Earlier);
}

// Input injected into a visible window of the test, which the hooks see as
// the thread retrieves it.
class TForegroundWindow {
 public:
  TForegroundWindow()
      : FHandle(CreateWindowExW(0, TestWindowClass(), L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200, 200,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr))
  {
    SetForegroundWindow(FHandle);
    SetFocus(FHandle);
    Pump();
  }
  // Wine waits about two seconds for the X server when the foreground window
  // goes, so the input cases share one.
  ~TForegroundWindow() { DestroyWindow(FHandle); }
  TForegroundWindow(const TForegroundWindow&) = delete;
  TForegroundWindow& operator=(const TForegroundWindow&) = delete;
  HWND Handle() const { return FHandle; }

  // Retrieves and dispatches the queued messages until ADone answers true, or
  // for a few seconds at most; counts the messages AMsg retrieved.
  template <class F>
  int PumpUntil(UINT AMsg, F ADone) const
  {
    int Count = 0;
    kvtest::PumpUntil([&] {
      Count += kvtest::PumpMessages(AMsg);
      return ADone();
    });
    return Count + kvtest::PumpMessages(AMsg);
  }

 private:
  static void Pump() { kvtest::PumpMessages(); }

  HWND FHandle;
};

struct TKeySeen {
  WPARAM Key;
  bool Up;
};
std::vector<TKeySeen> KeysSeen;
bool DiscardInput;

void SeeKeyboard(int ACode, WPARAM AWParam, LPARAM ALParam, LRESULT& AHookResult)
{
  if (ACode != HC_ACTION)
    return;
  // Bit 31 of the key data: the key is being released.
  KeysSeen.push_back({AWParam, (ALParam & 0x80000000) != 0});
  if (DiscardInput)
    AHookResult = 1;
}

class HookInput : public Hooks {
 protected:
  static void SetUpTestSuite() { FForegroundWindow = new TForegroundWindow; }
  static void TearDownTestSuite()
  {
    delete FForegroundWindow;
    Hooks::TearDownTestSuite();
  }

  static inline TForegroundWindow* FForegroundWindow;
};

TEST_F(HookInput, KeyboardInputReachesTheKeyboardHook)
{
  const TForegroundWindow& Window = *FForegroundWindow;
  ASSERT_EQ(GetFocus(), Window.Handle());
  dxInstallHook(htKeyboard, &SeeKeyboard);
  for (bool Discard : {false, true}) {
    SCOPED_TRACE(Discard);
    DiscardInput = Discard;
    KeysSeen.clear();
    INPUT Input[2]{};
    for (INPUT& Key : Input) {
      Key.type = INPUT_KEYBOARD;
      Key.ki.wVk = 'A';
    }
    Input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ASSERT_EQ(SendInput(2, Input, sizeof(INPUT)), 2u);
    const int KeyDowns = Window.PumpUntil(WM_KEYDOWN, [] { return KeysSeen.size() >= 2; });
    ASSERT_EQ(KeysSeen.size(), 2u);
    EXPECT_EQ(KeysSeen[0].Key, WPARAM('A'));
    EXPECT_FALSE(KeysSeen[0].Up);
    EXPECT_EQ(KeysSeen[1].Key, WPARAM('A'));
    EXPECT_TRUE(KeysSeen[1].Up);
    // Answering 1 discards the key.
    EXPECT_EQ(KeyDowns, Discard ? 0 : 1);
  }
  dxRemoveHook(&SeeKeyboard);
}

struct TMouseSeen {
  WPARAM Msg;
  POINT Point;
  HWND Wnd;
};
std::vector<TMouseSeen> MouseSeen;

void SeeMouse(int ACode, WPARAM AWParam, LPARAM ALParam, LRESULT& AHookResult)
{
  if (ACode != HC_ACTION || AWParam != WM_MOUSEMOVE)
    return;
  const auto* Mouse = reinterpret_cast<const MOUSEHOOKSTRUCT*>(ALParam);
  MouseSeen.push_back({AWParam, Mouse->pt, Mouse->hwnd});
  if (DiscardInput)
    AHookResult = 1;
}

TEST_F(HookInput, MouseInputReachesTheMouseHook)
{
  const TForegroundWindow& Window = *FForegroundWindow;
  RECT Bounds;
  GetWindowRect(Window.Handle(), &Bounds);
  const POINT Target{(Bounds.left + Bounds.right) / 2, (Bounds.top + Bounds.bottom) / 2};
  dxInstallHook(htMouse, &SeeMouse);
  for (bool Discard : {false, true}) {
    SCOPED_TRACE(Discard);
    DiscardInput = Discard;
    MouseSeen.clear();
    // Away first, so that the move onto the target is a move.
    SetCursorPos(Target.x + 5, Target.y);
    SetCursorPos(Target.x, Target.y);
    const int Moves = Window.PumpUntil(WM_MOUSEMOVE, [&] {
      return !MouseSeen.empty() && MouseSeen.back().Point.x == Target.x;
    });
    ASSERT_FALSE(MouseSeen.empty());
    EXPECT_EQ(MouseSeen.back().Point.x, Target.x);
    EXPECT_EQ(MouseSeen.back().Point.y, Target.y);
    EXPECT_EQ(MouseSeen.back().Wnd, Window.Handle());
    EXPECT_EQ(Moves == 0, Discard);
  }
  dxRemoveHook(&SeeMouse);
}

// ---------------------------------------------------------------------------
// Threads

TEST_F(Hooks, EachThreadHasItsOwnHooks)
{
  dxInstallHook(htWndProc, Procs[A]);
  const HHOOK MainHandle = HandleOf(htWndProc);

  HHOOK ThreadHandle = nullptr;
  std::vector<int> ThreadLog;
  std::vector<int> ThreadLogAfterRemoval;
  int ThreadGetMessageCount = -1;
  std::thread Other([&] {
    dxInstallHook(htWndProc, Procs[B]);
    ThreadHandle = HandleOf(htWndProc);
    ThreadGetMessageCount = CountOf(htGetMessage);
    TTestWindow Window;
    Window.Send();
    ThreadLog = CallLog();
    CallLog().clear();
    dxRemoveHook(Procs[B]);
    dxInstallHook(htWndProc, Procs[C]);
    // Ends with C listed: the thread's controller goes with the thread.
  });
  Other.join();

  EXPECT_NE(ThreadHandle, nullptr);
  EXPECT_NE(ThreadHandle, MainHandle);
  EXPECT_EQ(ThreadGetMessageCount, 0);
  EXPECT_EQ(ThreadLog, std::vector<int>{B});
  // The other thread's procedures are not this thread's.
  EXPECT_EQ(CountOf(htWndProc), 1);
  EXPECT_EQ(HandleOf(htWndProc), MainHandle);
  EXPECT_EQ(SendAndLog(), std::vector<int>{A});
}

// A thread that ends with procedures listed frees its controller as it
// ends. Its hooks go first, so nothing calls into the freed records; the
// controller once read its own address from storage already freed, and
// freed what the heap had put there.
TEST_F(Hooks, ThreadsMayEndWithProceduresListed)
{
  dxInstallHook(htWndProc, Procs[A]);
  std::vector<std::unique_ptr<char[]>> Kept;
  for (int I = 0; I < 16; ++I) {
    SCOPED_TRACE(I);
    HHOOK Handle = nullptr;
    std::thread Other([&] {
      // Blocks of varied sizes kept past the thread's end vary what lies
      // around the thread's own storage, so that a read of it after it was
      // freed does not happen to find the old value.
      Kept.push_back(std::make_unique<char[]>(8 + 24 * I));
      for (TdxHookType HookType : AllTypes)
        dxInstallHook(HookType, Procs[B]);
      dxInstallHook(htWndProc, Procs[C]);
      TTestWindow Window;
      Window.Send();
      Handle = HandleOf(htWndProc);
    });
    Other.join();
    EXPECT_NE(Handle, nullptr);
    EXPECT_FALSE(StillInstalled(Handle));
    EXPECT_EQ(SendAndLog(), std::vector<int>{A});
  }
}

TEST_F(Hooks, TheUnitsShutDownRemovesTheThreadsHooks)
{
  dxInstallHook(htWndProc, Procs[A]);
  const HHOOK Handle = HandleOf(htWndProc);
  unit_dxHooks.finalization();
  EXPECT_FALSE(StillInstalled(Handle));
  EXPECT_EQ(SendAndLog(), std::vector<int>{});
  // A new controller starts empty.
  EXPECT_EQ(CountOf(htWndProc), 0);
}

}  // namespace

