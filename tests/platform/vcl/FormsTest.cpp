#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/rtl/ClassesFiler.h"
#include "platform/rtl/ClassesStreams.h"
#include "platform/rtl/ClassesThreads.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/StdCtrls.h"

using enum vcl::TAlign;
using enum vcl::TAnchorKind;
using enum vcl::TCloseAction;
using enum vcl::TControlStyleItem;
using enum vcl::TFormBorderStyle;
using enum vcl::TPosition;
using enum vcl::TWindowState;

namespace vcl {
namespace {

using rtl::String;

constexpr UINT WM_FORMSTEST_RAISE = WM_USER + 1;
constexpr UINT WM_FORMSTEST_MARK = WM_USER + 2;

std::vector<String>& FormsLog()
{
  static std::vector<String> log;
  return log;
}

// A windowed child that counts its destruction, raises on one message and
// notes another.
class TFormsTestButton : public TCustomControl {
  RTL_CLASS(TFormsTestButton, TCustomControl)
  RTL_PUBLISHED(RTL_PUBLISH(Align), RTL_PUBLISH(Anchors), RTL_PUBLISH(TabOrder), RTL_PUBLISH(TabStop),
                RTL_PUBLISH(OnClick))
  RTL_MESSAGES(RTL_MESSAGE(WM_FORMSTEST_RAISE, WMRaise), RTL_MESSAGE(WM_FORMSTEST_MARK, WMMark))

 public:
  static int& Destroyed()
  {
    static int count = 0;
    return count;
  }
  void Destroy() override
  {
    ++Destroyed();
    inherited::Destroy();
  }

 protected:
  void WMRaise(TMessage&) { throw rtl::EConvertError(L"'x' is not a valid integer value"); }
  void WMMark(TMessage&) { FormsLog().push_back(L"mark " + GetName()); }
};

// A container as a panel is: it takes controls and publishes its caption
// and alignment.
class TFormsTestPanel : public TCustomControl {
  RTL_CLASS(TFormsTestPanel, TCustomControl)
  RTL_PUBLISHED(RTL_PUBLISH(Align), RTL_PUBLISH(Caption), RTL_PUBLISH(TabOrder))

 public:
  void Create(TComponent* AOwner) override
  {
    inherited::Create(AOwner);
    FControlStyle.Include(csAcceptsControls);
  }
};

// The form of the test resource; its handlers are bound by name.
class TFormsTestForm : public TForm {
  RTL_CLASS(TFormsTestForm, TForm)
  RTL_PUBLISHED_METHODS(RTL_METHOD(FormCreate), RTL_METHOD(FormClose), RTL_METHOD(OkButtonClick))

 public:
  void FormCreate(TObject* Sender)
  {
    FormsLog().push_back(Sender == Reference() ? L"OnCreate with the reference set" : L"OnCreate");
  }
  void FormClose(TObject*, TCloseAction& Action) { Action = CloseAction; }
  void OkButtonClick(TObject* Sender) { FormsLog().push_back(L"click " + static_cast<TComponent*>(Sender)->GetName()); }

  TControl* Child(const wchar_t* AName) { return static_cast<TControl*>(FindComponent(AName)); }

  static TFormsTestForm*& Reference()
  {
    static TFormsTestForm* form = nullptr;
    return form;
  }

  TCloseAction CloseAction = caHide;

 protected:
  void Loaded() override
  {
    inherited::Loaded();
    FormsLog().push_back(L"Loaded");
  }
};

// Handlers the tests bind to forms and the application.
class TFormsTestHandlers : public rtl::TObject {
  RTL_CLASS(TFormsTestHandlers, rtl::TObject)

 public:
  void Exception(TObject* Sender, rtl::Exception* E)
  {
    Senders.push_back(Sender);
    Messages.push_back(E->Message());
  }
  void CloseQuery(TObject*, bool& CanClose) { CanClose = AllowClose; }
  void KeyDown(TObject*, WORD& Key, TShiftState) { Key = ConsumeKeys ? 0 : Key; ++KeysSeen; }
  void CloseOnShow(TObject* Sender) { PostMessageW(static_cast<TWinControl*>(Sender)->GetHandle(), WM_CLOSE, 0, 0); }
  void ReleaseOnShow(TObject* Sender) { static_cast<TCustomForm*>(Sender)->ReleaseForm(); }
  void Raise(TObject*) { throw rtl::EInvalidOperation(L"raised"); }
  void ResultFromThread(TObject* Sender)
  {
    auto* form = static_cast<TCustomForm*>(Sender);
    // Another thread queues the result; the modal loop must run the call.
    std::thread([form] { rtl::TThread::Queue(nullptr, [form] { form->SetModalResult(mrYes); }); }).join();
  }

  void IdleThenEnd(TObject*, bool& Done)
  {
    ++Idles;
    Done = true;
    Application()->Terminate();
  }

  void ShowHint(String& HintStr, bool& CanShow, THintInfo& HintInfo)
  {
    HintStr += L" of " + HintInfo.HintControl->GetName();
    CanShow = AllowHint;
  }

  // Counts the asks and has the hint asked again after a millisecond.
  void ShowHintAndReshow(String& HintStr, bool&, THintInfo& HintInfo)
  {
    ++HintAsks;
    HintStr += L" " + rtl::IntToStr(HintAsks);
    HintInfo.ReshowTimeout = 1;
  }

  void Clicked(TObject* Sender) { Senders.push_back(Sender); }
  void FormShortCut(TWMKey& Msg, bool& Handled) { Handled = Msg.CharCode == VK_F8; }

  std::vector<TObject*> Senders;
  int Idles = 0;
  bool AllowHint = true;
  int HintAsks = 0;
  std::vector<String> Messages;
  bool AllowClose = true;
  bool ConsumeKeys = false;
  int KeysSeen = 0;
};

// A form class that has no resource.
class TFormsTestUnstored : public TForm {
  RTL_CLASS(TFormsTestUnstored, TForm)
};

class TFormsTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    try { SetUpForms(); } catch (const rtl::Exception& E) { FAIL() << E.Message(); }
  }
  void SetUpForms()
  {
    // As the program's start-up does.
    rtl::SetMainThread();
    rtl::RegisterClasses({rtl::TPersistentClass::Of<TFormsTestForm>(), rtl::TPersistentClass::Of<TFormsTestButton>()});
    FormsLog().clear();
    TFormsTestButton::Destroyed() = 0;
    FHandlers.reset(rtl::New<TFormsTestHandlers>());
    Application()->SetOnException(TExceptionEvent::Bind<&TFormsTestHandlers::Exception>(FHandlers.get()));
  }
  void TearDown() override
  {
    DoneApplication();
    TFormsTestForm::Reference() = nullptr;
    // A quit message left by a test that closed its main form.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  TFormsTestForm* CreateStreamedForm()
  {
    Application()->CreateForm(TFormsTestForm::Reference());
    return TFormsTestForm::Reference();
  }

  // A blank form owned by the application.
  TForm* CreateBlankForm()
  {
    return rtl::NewWith<TForm>([](TForm* F) { F->CreateNew(Application()); });
  }

  rtl::TOwnedPtr<TFormsTestHandlers> FHandlers;
};

TRect BoundsOf(TControl* AControl)
{
  return AControl->GetBoundsRect();
}

void ExpectBounds(TControl* AControl, const TRect& AExpected)
{
  const TRect actual = BoundsOf(AControl);
  EXPECT_TRUE(EqualRect(&actual, &AExpected))
      << AControl->GetName() << L": " << actual.left << L"," << actual.top << L"," << actual.right << L","
      << actual.bottom;
}

// ---------------------------------------------------------------------------
// Creation from the resource

// Reading a form finds the controls it holds by class name, as the program
// reads its main window: with the units started, the controls' class group
// is the active one.
TEST_F(TFormsTest, TheControlsClassGroupIsActiveOnceTheUnitsStarted)
{
  EXPECT_EQ(rtl::ClassGroupOf(rtl::TPersistentClass::Of<TFormsTestButton>()).ClassType(), TControl::StaticClass());
  EXPECT_TRUE(rtl::GetClass(L"TFormsTestButton"));
}

TEST_F(TFormsTest, AStreamedFormAppearsWithItsChildrenAtTheStoredBoundsAndAnchors)
{
  TFormsTestForm* form = CreateStreamedForm();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Application()->GetMainForm(), form);
  EXPECT_TRUE(form->HandleAllocated()) << "the main form gets its window at once";
  // Read, Loaded, then OnCreate, with the variable already set.
  EXPECT_EQ(FormsLog(), (std::vector<String>{L"Loaded", L"OnCreate with the reference set"}));
  EXPECT_EQ(form->GetCaption(), L"Streamed form");
  EXPECT_EQ(form->GetActiveControl(), form->Child(L"OkButton"));

  form->Show();
  EXPECT_TRUE(IsWindowVisible(form->GetHandle()));
  EXPECT_EQ(form->GetClientWidth(), 300);
  EXPECT_EQ(form->GetClientHeight(), 200);
  EXPECT_EQ(form->GetLeft(), 100);
  EXPECT_EQ(form->GetTop(), 80);
  TControl* header = form->Child(L"Header");
  TControl* ok = form->Child(L"OkButton");
  ExpectBounds(header, {0, 0, 300, 30});
  ExpectBounds(ok, {210, 160, 290, 190});
  EXPECT_EQ(ok->GetAnchors(), (TAnchors{akRight, akBottom}));
  for (TControl* child : {header, ok}) {
    auto* windowed = static_cast<TWinControl*>(child);
    ASSERT_TRUE(windowed->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(windowed->GetHandle()));
    EXPECT_EQ(GetParent(windowed->GetHandle()), form->GetHandle());
  }
  EXPECT_EQ(Screen()->GetFormCount(), 1);
  EXPECT_EQ(Screen()->GetForms(0), form);

  // Resized, the aligned child stretches and the anchored one follows the
  // bottom-right corner.
  form->SetClientWidth(400);
  form->SetClientHeight(260);
  ExpectBounds(header, {0, 0, 400, 30});
  ExpectBounds(ok, {310, 220, 390, 250});
}

TEST_F(TFormsTest, AClickReachesTheHandlerBoundByName)
{
  TFormsTestForm* form = CreateStreamedForm();
  form->Show();
  auto* ok = static_cast<TWinControl*>(form->Child(L"OkButton"));
  SendMessageW(ok->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(ok->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(FormsLog().back(), L"click OkButton");
}

TEST_F(TFormsTest, AFormWithoutItsResourceIsRefused)
{
  TFormsTestUnstored* form = nullptr;
  EXPECT_THROW(Application()->CreateForm(form), rtl::EResNotFound);
  EXPECT_EQ(form, nullptr);
  EXPECT_EQ(Screen()->GetFormCount(), 0);
}

TEST_F(TFormsTest, AStoredPixelsPerInchIsScaledToTheScreens)
{
  const int screenPPI = Screen()->GetPixelsPerInch();
  const std::string text = "object Scaled: TForm\n  PixelsPerInch = " + std::to_string(screenPPI * 2) +
                           "\n  object Child: TFormsTestButton\n    Left = 20\n    Top = 40\n"
                           "    Width = 100\n    Height = 60\n  end\nend\n";
  rtl::TOwnedPtr<rtl::TMemoryStream> source(rtl::New<rtl::TMemoryStream>());
  source->WriteBuffer(text.data(), static_cast<int>(text.size()));
  source->SetPosition(0);
  rtl::TOwnedPtr<rtl::TMemoryStream> binary(rtl::New<rtl::TMemoryStream>());
  rtl::ObjectTextToBinary(source.get(), binary.get());
  binary->SetPosition(0);
  TForm* form = CreateBlankForm();
  rtl::ReadComponent(binary.get(), form);
  ExpectBounds(static_cast<TControl*>(form->FindComponent(L"Child")), {10, 20, 60, 50});
  EXPECT_EQ(form->GetPixelsPerInch(), screenPPI);
}

// ---------------------------------------------------------------------------
// Closing

TEST_F(TFormsTest, CloseDoesWhatOnCloseQueryAndOnCloseSay)
{
  struct TCase {
    const wchar_t* Name;
    bool AllowClose;
    TCloseAction Action;
    bool Visible;
    bool Iconic;
    bool Freed;
  };
  const TCase cases[] = {
      {L"refused by OnCloseQuery", false, caFree, true, false, false},
      {L"caNone", true, caNone, true, false, false},
      {L"caHide", true, caHide, false, false, false},
      {L"caMinimize", true, caMinimize, true, true, false},
      {L"caFree", true, caFree, false, false, true},
  };
  TForm* mainForm = nullptr;
  Application()->CreateForm(mainForm);
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << std::string(c.Name, c.Name + wcslen(c.Name)));
    TFormsTestButton::Destroyed() = 0;
    TFormsTestForm* form = nullptr;
    Application()->CreateForm(form);
    form->CloseAction = c.Action;
    FHandlers->AllowClose = c.AllowClose;
    form->SetOnCloseQuery(TCloseQueryEvent::Bind<&TFormsTestHandlers::CloseQuery>(FHandlers.get()));
    form->Show();
    const int forms = Screen()->GetFormCount();

    form->Close();
    Application()->ProcessMessages();

    if (c.Freed) {
      // Both children went with it.
      EXPECT_EQ(Screen()->GetFormCount(), forms - 1);
      EXPECT_EQ(TFormsTestButton::Destroyed(), 2);
      continue;
    }
    EXPECT_EQ(Screen()->GetFormCount(), forms);
    EXPECT_EQ(form->GetVisible(), c.Visible);
    EXPECT_EQ(IsIconic(form->GetHandle()) != 0, c.Iconic);
    rtl::Free(form);
  }
}

// WindowState follows the window, whoever changed it: a form the user
// restored minimises again when it is closed with caMinimize.
TEST_F(TFormsTest, WindowStateFollowsTheWindow)
{
  TForm* mainForm = nullptr;
  Application()->CreateForm(mainForm);
  TFormsTestForm* form = nullptr;
  Application()->CreateForm(form);
  form->CloseAction = caMinimize;
  form->Show();
  struct TCase {
    int Command;
    TWindowState Expected;
  };
  const TCase cases[] = {
      {SW_MINIMIZE, wsMinimized}, {SW_RESTORE, wsNormal}, {SW_MAXIMIZE, wsMaximized}, {SW_RESTORE, wsNormal}};
  for (const TCase& c : cases) {
    ShowWindow(form->GetHandle(), c.Command);
    EXPECT_EQ(static_cast<int>(form->GetWindowState()), static_cast<int>(c.Expected)) << c.Command;
  }
  for (int round = 0; round < 2; ++round) {
    form->Close();
    EXPECT_TRUE(IsIconic(form->GetHandle())) << round;
    EXPECT_EQ(static_cast<int>(form->GetWindowState()), static_cast<int>(wsMinimized)) << round;
    ShowWindow(form->GetHandle(), SW_RESTORE);
  }
}

TEST_F(TFormsTest, ClosingTheMainFormEndsRun)
{
  TFormsTestForm* form = CreateStreamedForm();
  // The message loop goes on after an exception in a window procedure.
  auto* header = static_cast<TWinControl*>(form->Child(L"Header"));
  form->Show();
  PostMessageW(header->GetHandle(), WM_FORMSTEST_RAISE, 0, 0);
  PostMessageW(header->GetHandle(), WM_FORMSTEST_MARK, 0, 0);
  PostMessageW(form->GetHandle(), WM_CLOSE, 0, 0);
  Application()->Run();
  EXPECT_TRUE(Application()->GetTerminated());
  EXPECT_EQ(FHandlers->Messages, (std::vector<String>{L"'x' is not a valid integer value"}));
  EXPECT_EQ(FHandlers->Senders, (std::vector<TObject*>{header}));
  EXPECT_EQ(FormsLog().back(), L"mark Header");
}

// An exception of OnShow or OnHide is reported and the form still shows or
// hides: Run and the modal loop go on with a form in a known state.
TEST_F(TFormsTest, AnExceptionOfOnShowOrOnHideIsReportedAndTheFormStillChanges)
{
  rtl::TOwnedPtr<TForm> form(CreateBlankForm());
  form->SetOnShow(TNotifyEvent::Bind<&TFormsTestHandlers::Raise>(FHandlers.get()));
  form->SetOnHide(TNotifyEvent::Bind<&TFormsTestHandlers::Raise>(FHandlers.get()));
  for (bool show : {true, false}) {
    SCOPED_TRACE(show ? "show" : "hide");
    FHandlers->Messages.clear();
    EXPECT_NO_THROW(form->SetVisible(show));
    EXPECT_EQ(FHandlers->Messages, std::vector<String>{L"raised"});
    EXPECT_EQ(IsWindowVisible(form->GetHandle()) != 0, show);
    EXPECT_EQ(form->IsShowing(), show);
  }
}

// Lists a thread's windows, raising at the first one.
BOOL CALLBACK FormsTestRaisingEnum(HWND, LPARAM ACalls) noexcept
{
  return rtl::GuardCallback(FALSE, [&]() -> BOOL {
    ++*reinterpret_cast<int*>(ACalls);
    throw rtl::EInvalidOperation(L"raised");
  });
}

// What a callback raises reaches OnException through the application's
// handler instead of unwinding through user32; Windows sees the callback's
// fallback answer and goes on.
TEST_F(TFormsTest, AnExceptionInAWindowsCallbackReachesOnException)
{
  rtl::TOwnedPtr<TForm> form(CreateBlankForm());
  const HWND wnd = form->GetHandle();
  struct TCase {
    const char* Name;
    std::function<void()> Provoke;
  };
  const TCase cases[] = {
      {"window procedure",
       [&] {
         form->SetOnResize(TNotifyEvent::Bind<&TFormsTestHandlers::Raise>(FHandlers.get()));
         EXPECT_EQ(SendMessageW(wnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(120, 80)), 0);
         form->SetOnResize({});
       }},
      {"enumeration",
       [&] {
         // The fallback, FALSE, ends the enumeration at the window that
         // raised (the thread has the application's and the form's).
         int calls = 0;
         EnumThreadWindows(GetCurrentThreadId(), &FormsTestRaisingEnum, reinterpret_cast<LPARAM>(&calls));
         EXPECT_EQ(calls, 1);
       }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    FHandlers->Messages.clear();
    EXPECT_NO_THROW(c.Provoke());
    EXPECT_EQ(FHandlers->Messages, std::vector<String>{L"raised"});
  }
  // The form's window still answers.
  SetWindowTextW(wnd, L"alive");
  EXPECT_EQ(form->GetCaption(), L"alive");
}

TEST_F(TFormsTest, AFormWhoseOnDestroyRaisesIsFreedAndTheErrorReported)
{
  TForm* form = CreateBlankForm();
  form->SetOnDestroy(TNotifyEvent::Bind<&TFormsTestHandlers::Raise>(FHandlers.get()));
  const int forms = Screen()->GetFormCount();
  FHandlers->Messages.clear();
  EXPECT_NO_THROW(form->Free());
  EXPECT_EQ(FHandlers->Messages, std::vector<String>{L"raised"});
  EXPECT_EQ(Screen()->GetFormCount(), forms - 1);
}

// ---------------------------------------------------------------------------
// Modal forms

TEST_F(TFormsTest, ShowModalAnswersTheModalResult)
{
  using THandler = TNotifyEvent (*)(TFormsTestHandlers*);
  struct TCase {
    const char* Name;
    THandler OnShow;
    TModalResult Expected;
    bool Freed;
  };
  const TCase cases[] = {
      {"closed: cancel", [](TFormsTestHandlers* H) { return TNotifyEvent::Bind<&TFormsTestHandlers::CloseOnShow>(H); },
       mrCancel, false},
      {"set by a call queued from another thread",
       [](TFormsTestHandlers* H) { return TNotifyEvent::Bind<&TFormsTestHandlers::ResultFromThread>(H); }, mrYes,
       false},
      // Released while its loop runs: the loop ends without touching it.
      {"freed: cancel", [](TFormsTestHandlers* H) { return TNotifyEvent::Bind<&TFormsTestHandlers::ReleaseOnShow>(H); },
       mrCancel, true},
  };
  TForm* owner = CreateBlankForm();
  owner->Show();
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TForm* dialog = CreateBlankForm();
    dialog->SetOnShow(c.OnShow(FHandlers.get()));
    EXPECT_EQ(dialog->ShowModal(), c.Expected);
    // The windows behind were disabled only while the dialog ran.
    EXPECT_TRUE(IsWindowEnabled(owner->GetHandle()));
    if (c.Freed) {
      EXPECT_EQ(Screen()->GetFormCount(), 1);
      continue;
    }
    EXPECT_FALSE(dialog->GetVisible());
    EXPECT_FALSE(dialog->IsModal());
    rtl::Free(dialog);
  }
  // A visible form cannot become modal.
  EXPECT_THROW(owner->ShowModal(), rtl::EInvalidOperation);
}

// ---------------------------------------------------------------------------
// The application

TEST_F(TFormsTest, HandleExceptionSkipsEAbortAndPassesOthersToOnException)
{
  struct TCase {
    const char* Name;
    void (*Raise)();
    std::vector<String> Expected;
  };
  const TCase cases[] = {
      {"EAbort", [] { throw rtl::EAbort(L"silent"); }, {}},
      {"Exception", [] { throw rtl::EInvalidOperation(L"Cannot do that"); }, {L"Cannot do that"}},
      {"std::exception", [] { throw std::runtime_error("standard failure"); }, {L"standard failure"}},
      {"anything else", [] { throw 42; }, {L"Unknown exception"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    FHandlers->Messages.clear();
    FHandlers->Senders.clear();
    try {
      c.Raise();
    } catch (...) {
      Application()->HandleException(FHandlers.get());
    }
    EXPECT_EQ(FHandlers->Messages, c.Expected);
    if (!c.Expected.empty()) {
      EXPECT_EQ(FHandlers->Senders, (std::vector<TObject*>{FHandlers.get()}));
    }
  }
  // Outside a catch block there is nothing to handle.
  Application()->HandleException(nullptr);
  EXPECT_EQ(FHandlers->Messages.size(), 1u);
}

TEST_F(TFormsTest, RunGoesIdleWhenNoMessageWaits)
{
  TForm* form = nullptr;
  Application()->CreateForm(form);
  form->SetBorderStyle(bsNone);
  Application()->SetOnIdle(TIdleEvent::Bind<&TFormsTestHandlers::IdleThenEnd>(FHandlers.get()));
  // The handler ends the loop; a loop that never went idle would not end.
  Application()->Run();
  EXPECT_GE(FHandlers->Idles, 1);
  EXPECT_TRUE(Application()->GetTerminated());
}

TEST_F(TFormsTest, ProcessMessagesRunsCallsSynchronisedFromAnotherThread)
{
  Application();  // the wake-up goes to its window
  std::atomic<bool> ran{false};
  std::atomic<bool> returned{false};
  std::thread worker([&] {
    rtl::TThread::Synchronize(nullptr, [&] { ran = GetCurrentThreadId() == rtl::MainThreadID(); });
    returned = true;
  });
  for (int i = 0; i < 1000 && !returned; ++i) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    Application()->ProcessMessages();
  }
  worker.join();
  EXPECT_TRUE(ran);
}

TEST_F(TFormsTest, KeyPreviewLetsTheFormSeeItsControlsKeysFirst)
{
  for (bool preview : {false, true}) {
    SCOPED_TRACE(preview ? "preview" : "no preview");
    TForm* form = CreateBlankForm();
    auto* child = rtl::New<TFormsTestButton>(form);
    child->SetParent(form);
    form->SetKeyPreview(preview);
    form->SetOnKeyDown(TKeyEvent::Bind<&TFormsTestHandlers::KeyDown>(FHandlers.get()));
    FHandlers->ConsumeKeys = true;
    FHandlers->KeysSeen = 0;
    form->Show();
    const LRESULT handled = child->Perform(CN_KEYDOWN, VK_F5, 0);
    EXPECT_EQ(FHandlers->KeysSeen, preview ? 1 : 0);
    if (preview) {
      EXPECT_NE(handled, 0);
    }
    rtl::Free(form);
  }
}

// A key down of a control is first a short cut: of the popup menus of the
// control and its parents, then of the form (OnShortCut, its action lists).
TEST_F(TFormsTest, ShortCutsGoToPopupMenusThenToTheForm)
{
  rtl::TOwnedPtr<TForm> form(CreateBlankForm());
  auto* panel = rtl::New<TFormsTestButton>(form.get());
  panel->SetParent(form.get());
  auto* popup = rtl::New<TPopupMenu>(form.get());
  auto* item = rtl::New<TMenuItem>(popup);
  item->SetShortCut(VK_F6);
  item->SetOnClick(TNotifyEvent::Bind<&TFormsTestHandlers::Clicked>(FHandlers.get()));
  popup->GetItems()->Add(item);
  form->SetPopupMenu(popup);
  auto* list = rtl::New<TActionList>(form.get());
  auto* action = rtl::New<TAction>(form.get());
  action->SetActionList(list);
  action->SetShortCut(VK_F5);
  action->SetOnExecute(TNotifyEvent::Bind<&TFormsTestHandlers::Clicked>(FHandlers.get()));
  form->SetOnShortCut(TShortCutEvent::Bind<&TFormsTestHandlers::FormShortCut>(FHandlers.get()));

  struct Row {
    WORD Key;
    bool Taken;
    TObject* Clicked;
  };
  const Row rows[] = {{VK_F5, true, action}, {VK_F6, true, item}, {VK_F8, true, nullptr}, {VK_F9, false, nullptr}};
  for (const Row& row : rows) {
    FHandlers->Senders.clear();
    EXPECT_EQ(panel->Perform(CN_KEYDOWN, row.Key, 0) != 0, row.Taken) << row.Key;
    EXPECT_EQ(FHandlers->Senders, row.Clicked ? std::vector<TObject*>{row.Clicked} : std::vector<TObject*>{})
        << row.Key;
  }
}

// The active control may be chosen before the form shows (in OnCreate); a
// hidden or disabled control, or one of another form, is refused.
TEST_F(TFormsTest, TheActiveControlMayBeChosenBeforeTheFormShows)
{
  rtl::TOwnedPtr<TForm> form(CreateBlankForm());
  rtl::TOwnedPtr<TForm> other(CreateBlankForm());
  auto* shown = rtl::New<TFormsTestButton>(form.get());
  shown->SetParent(form.get());
  auto* hidden = rtl::New<TFormsTestButton>(form.get());
  hidden->SetParent(form.get());
  hidden->SetVisible(false);
  auto* disabled = rtl::New<TFormsTestButton>(form.get());
  disabled->SetParent(form.get());
  disabled->SetEnabled(false);
  auto* elsewhere = rtl::New<TFormsTestButton>(other.get());
  elsewhere->SetParent(other.get());

  ASSERT_FALSE(form->GetVisible());
  EXPECT_NO_THROW(form->SetActiveControl(shown));
  EXPECT_EQ(form->GetActiveControl(), shown);
  for (TWinControl* refused : {hidden, disabled, elsewhere})
    EXPECT_THROW(form->SetActiveControl(refused), rtl::EInvalidOperation);
  EXPECT_EQ(form->GetActiveControl(), shown);
}

TEST_F(TFormsTest, AHintShowsAfterThePauseAndGoesOnAClick)
{
  TForm* form = nullptr;
  Application()->CreateForm(form);
  form->SetBorderStyle(bsNone);
  auto* button = rtl::New<TFormsTestButton>(form);
  button->SetName(L"Button");
  button->SetParent(form);
  button->SetBounds(10, 10, 80, 30);
  button->SetHint(L"Short|Long");
  button->SetShowHint(true);
  form->Show();
  Application()->SetHintPause(1);
  Application()->SetHintHidePause(0);
  Application()->SetOnShowHint(TShowHintEvent::Bind<&TFormsTestHandlers::ShowHint>(FHandlers.get()));

  const auto hintShowing = [] {
    THintWindow* hint = Application()->GetHintWindow();
    return hint && hint->HandleAllocated() && IsWindowVisible(hint->GetHandle());
  };
  // The mouse rests on the button. The real pointer, which other programs
  // on the display may move over the form, would cancel the pause; resting
  // on the same control again does not restart it.
  for (int i = 0; i < 200 && !hintShowing(); ++i) {
    PostMessageW(button->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    Application()->ProcessMessages();
  }
  ASSERT_TRUE(hintShowing());
  EXPECT_EQ(Application()->GetHintWindow()->GetCaption(), L"Short of Button");
  EXPECT_EQ(Application()->GetHint(), L"Long");

  PostMessageW(button->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  Application()->ProcessMessages();
  EXPECT_FALSE(hintShowing());
}

namespace {

bool FormsTestHintShowing()
{
  THintWindow* hint = Application()->GetHintWindow();
  return hint && hint->HandleAllocated() && IsWindowVisible(hint->GetHandle());
}

// Posts mouse moves to AControl until APredicate holds (at most ten seconds).
template <class P>
bool FormsTestRestMouseUntil(TWinControl* AControl, P APredicate)
{
  for (int i = 0; i < 200 && !APredicate(); ++i) {
    PostMessageW(AControl->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    Application()->ProcessMessages();
  }
  return APredicate();
}

}  // namespace

TEST_F(TFormsTest, MovingOnFromAShownHintWaitsTheShortPause)
{
  TForm* form = CreateBlankForm();
  form->SetBorderStyle(bsNone);
  TFormsTestButton* buttons[2]{};
  for (int i = 0; i < 2; ++i) {
    buttons[i] = rtl::New<TFormsTestButton>(form);
    buttons[i]->SetParent(form);
    buttons[i]->SetBounds(10 + i * 100, 10, 80, 30);
    buttons[i]->SetHint(i == 0 ? L"First" : L"Second");
    buttons[i]->SetShowHint(true);
  }
  form->Show();
  Application()->SetHintPause(1);
  Application()->SetHintHidePause(0);
  ASSERT_TRUE(FormsTestRestMouseUntil(buttons[0], FormsTestHintShowing));

  // The full pause now outlasts the test: only the short one can show the
  // second hint.
  Application()->SetHintPause(1000000);
  Application()->SetHintShortPause(1);
  const auto secondShows = [] {
    return FormsTestHintShowing() && Application()->GetHintWindow()->GetCaption() == L"Second";
  };
  EXPECT_TRUE(FormsTestRestMouseUntil(buttons[1], secondShows));
}

TEST_F(TFormsTest, AReshowTimeoutAsksForTheHintAgain)
{
  TForm* form = CreateBlankForm();
  form->SetBorderStyle(bsNone);
  auto* button = rtl::New<TFormsTestButton>(form);
  button->SetParent(form);
  button->SetBounds(10, 10, 80, 30);
  button->SetHint(L"Hint");
  button->SetShowHint(true);
  form->Show();
  Application()->SetHintPause(1);
  Application()->SetHintHidePause(0);
  Application()->SetOnShowHint(TShowHintEvent::Bind<&TFormsTestHandlers::ShowHintAndReshow>(FHandlers.get()));
  const auto askedAgain = [this] {
    return FHandlers->HintAsks >= 3 && FormsTestHintShowing() &&
           Application()->GetHintWindow()->GetCaption() == L"Hint " + rtl::IntToStr(FHandlers->HintAsks);
  };
  EXPECT_TRUE(FormsTestRestMouseUntil(button, askedAgain));
}

// ---------------------------------------------------------------------------
// Placement and DPI

TEST_F(TFormsTest, ScreenCenterPlacesTheFormInTheMiddleOfTheWorkArea)
{
  TForm* form = CreateBlankForm();
  form->SetBorderStyle(bsDialog);
  form->SetPosition(poScreenCenter);
  form->SetBounds(0, 0, 200, 100);
  form->Show();
  const TRect area = Screen()->MonitorFromWindow(form->GetHandle())->GetWorkareaRect();
  EXPECT_EQ(form->GetLeft(), area.left + (area.right - area.left - 200) / 2);
  EXPECT_EQ(form->GetTop(), area.top + (area.bottom - area.top - 100) / 2);
  RECT window{};
  GetWindowRect(form->GetHandle(), &window);
  EXPECT_EQ(window.left, form->GetLeft());
}

// A form put off every monitor is brought onto its default monitor when it
// first shows, unless it may stand anywhere on the desktop; later showings
// leave it where it is.
TEST_F(TFormsTest, TheFirstShowingBringsAFormOntoItsDefaultMonitor)
{
  using enum vcl::TDefaultMonitor;
  const TRect area = Screen()->GetPrimaryMonitor()->GetWorkareaRect();
  const int offLeft = area.right + 500;
  const struct {
    const char* Name;
    vcl::TDefaultMonitor Monitor;
    int Left;
  } cases[] = {
      {"the default", dmActiveForm, static_cast<int>(area.right) - 200},
      {"the primary monitor", dmPrimary, static_cast<int>(area.right) - 200},
      {"the main form's", dmMainForm, static_cast<int>(area.right) - 200},
      {"the desktop", dmDesktop, offLeft},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TForm* form = CreateBlankForm();
    form->SetPosition(poDesigned);
    if (c.Monitor != dmActiveForm)
      form->SetDefaultMonitor(c.Monitor);
    form->SetBounds(offLeft, area.top + 10, 200, 100);
    form->Show();
    EXPECT_EQ(form->GetLeft(), c.Left);
    EXPECT_EQ(form->GetTop(), area.top + 10);
    form->SetVisible(false);
    form->SetBounds(offLeft, area.top + 10, 200, 100);
    form->Show();
    EXPECT_EQ(form->GetLeft(), offLeft);
    rtl::Free(form);
  }
}

TEST_F(TFormsTest, ADpiChangeScalesTheFormAndTakesTheSuggestedBounds)
{
  TFormsTestForm* form = CreateStreamedForm();
  form->Show();
  const int ppi = form->GetPixelsPerInch();
  const int fontHeight = form->GetFont()->GetHeight();
  RECT suggested{50, 60, 50 + form->GetWidth() * 2, 60 + form->GetHeight() * 2};
  form->Perform(WM_DPICHANGED, MAKEWPARAM(ppi * 2, ppi * 2), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(form->GetPixelsPerInch(), ppi * 2);
  EXPECT_EQ(form->GetCurrentPPI(), ppi * 2);
  EXPECT_EQ(form->GetFont()->GetHeight(), fontHeight * 2);
  EXPECT_EQ(form->GetLeft(), 50);
  EXPECT_EQ(form->GetTop(), 60);
  TControl* ok = form->Child(L"OkButton");
  EXPECT_EQ(ok->GetWidth(), 160);
  EXPECT_EQ(ok->GetHeight(), 60);
}

// ---------------------------------------------------------------------------
// The screen

TEST_F(TFormsTest, TheScreenKnowsCursorsMonitorsAndFonts)
{
  TScreen* screen = Screen();
  EXPECT_EQ(screen->GetCursors(crHandPoint), LoadCursorW(nullptr, IDC_HAND));
  EXPECT_EQ(screen->GetCursors(crDefault), LoadCursorW(nullptr, IDC_ARROW));
  // A cursor of the module's resources, registered as the system's own
  // cursors are: by name into a numbered slot of the screen.
  HCURSOR own = LoadCursorW(GetModuleHandleW(nullptr), L"KVTESTCURSOR");
  ASSERT_NE(own, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(own, &info));
  DeleteObject(info.hbmMask);
  DeleteObject(info.hbmColor);
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 0u);
  EXPECT_EQ(info.yHotspot, 0u);
  screen->SetCursors(4101, own);
  EXPECT_EQ(screen->GetCursors(4101), own);
  screen->SetCursor(crHourGlass);
  EXPECT_EQ(screen->GetCursor(), crHourGlass);
  screen->SetCursor(crDefault);

  ASSERT_GE(screen->GetMonitorCount(), 1);
  TMonitor* primary = screen->GetPrimaryMonitor();
  ASSERT_NE(primary, nullptr);
  EXPECT_TRUE(primary->GetPrimary());
  // Listing the monitors again keeps the objects callers hold.
  const int count = screen->GetMonitorCount();
  EXPECT_EQ(screen->GetPrimaryMonitor(), primary);
  bool listed = false;
  for (int i = 0; i < count; ++i)
    listed = listed || screen->GetMonitors(i) == primary;
  EXPECT_TRUE(listed);
  const TRect work = screen->GetWorkAreaRect();
  const TRect monitorWork = primary->GetWorkareaRect();
  EXPECT_TRUE(EqualRect(&work, &monitorWork));
  EXPECT_GT(screen->GetPixelsPerInch(), 0);
  EXPECT_FALSE(screen->GetMenuFont()->GetName().empty());
  EXPECT_FALSE(screen->GetHintFont()->GetName().empty());
  EXPECT_FALSE(screen->GetIconFont()->GetName().empty());
}

TEST_F(TFormsTest, TheProgramIconComesFromTheResourcesAndStreamsWithTheForm)
{
  rtl::TOwnedPtr<TIcon> icon(rtl::New<TIcon>());
  icon->SetHandle(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"KELVAROICON", IMAGE_ICON, 32, 32, 0)));
  ASSERT_FALSE(icon->GetEmpty());
  EXPECT_EQ(icon->GetWidth(), 32);

  // The form keeps its icon as data in its stream: the copy read back is the
  // same picture at the same size.
  rtl::TOwnedPtr<TForm> form(CreateBlankForm());
  form->GetIcon()->Assign(icon.get());
  rtl::TOwnedPtr<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
  rtl::WriteComponent(stream.get(), form.get());
  rtl::TOwnedPtr<TForm> copy(CreateBlankForm());
  stream->SetPosition(0);
  rtl::ReadComponent(stream.get(), copy.get());
  EXPECT_FALSE(copy->GetIcon()->GetEmpty());
  EXPECT_EQ(copy->GetIcon()->GetWidth(), 32);
  EXPECT_EQ(copy->GetIcon()->GetHeight(), 32);
}

// ---------------------------------------------------------------------------
// Writing and reading forms

// The form's binary form file and its text.
struct TFormFile {
  std::string Binary;
  std::string Text;
};

TFormFile WriteForm(rtl::TComponent* AForm)
{
  rtl::TOwnedPtr<rtl::TMemoryStream> binary(rtl::New<rtl::TMemoryStream>());
  rtl::WriteComponent(binary.get(), AForm);
  binary->SetPosition(0);
  rtl::TOwnedPtr<rtl::TMemoryStream> text(rtl::New<rtl::TMemoryStream>());
  rtl::ObjectBinaryToText(binary.get(), text.get());
  return {{static_cast<const char*>(binary->Memory()), static_cast<std::size_t>(binary->GetSize())},
          {static_cast<const char*>(text->Memory()), static_cast<std::size_t>(text->GetSize())}};
}

void ReadForm(const TFormFile& AFile, rtl::TComponent* AForm)
{
  rtl::TOwnedPtr<rtl::TMemoryStream> binary(rtl::New<rtl::TMemoryStream>());
  binary->WriteBuffer(AFile.Binary.data(), static_cast<int>(AFile.Binary.size()));
  binary->SetPosition(0);
  rtl::ReadComponent(binary.get(), AForm);
}

// A control of T owned by the form, on AParent.
template <class T>
T* AddControl(TCustomForm* AForm, TWinControl* AParent, const wchar_t* AName, TAlign AAlign)
{
  T* control = rtl::New<T>(AForm);
  control->SetName(AName);
  control->SetParent(AParent);
  control->SetAlign(AAlign);
  return control;
}

// The form the streaming tests write: a panel holding a panel holding a
// memo, every one aligned to its parent's client area, beside a second
// panel on top; a timer; a main menu with a submenu.
void BuildNestedForm(TCustomForm* AForm)
{
  AForm->SetPosition(poDesigned);
  AForm->SetBounds(40, 30, 320, 240);
  auto* timer = rtl::New<TTimer>(AForm);
  timer->SetName(L"Ticker");
  timer->SetInterval(250);
  timer->SetEnabled(false);
  auto* top = AddControl<TFormsTestPanel>(AForm, AForm, L"Bar", alTop);
  top->SetHeight(40);
  top->SetCaption(L"Tools");
  auto* outer = AddControl<TFormsTestPanel>(AForm, AForm, L"Outer", alClient);
  auto* inner = AddControl<TFormsTestPanel>(AForm, outer, L"Inner", alClient);
  auto* memo = AddControl<TMemo>(AForm, inner, L"Notes", alClient);
  memo->SetWordWrap(false);
  memo->SetText(L"alpha\r\nbeta");
  auto* menu = rtl::New<TMainMenu>(AForm);
  menu->SetName(L"Menu");
  auto* file = rtl::New<TMenuItem>(AForm);
  file->SetName(L"FileItem");
  file->SetCaption(L"&File");
  menu->GetItems()->Add(file);
  auto* quit = rtl::New<TMenuItem>(AForm);
  quit->SetName(L"QuitItem");
  quit->SetCaption(L"&Quit");
  file->Add(quit);
  // The copy read back gets its window as the memo's lines go in and lays
  // its controls out in the window's client area once loaded; a hidden
  // window gets no WM_SIZE until shown, so the original is laid out here.
  AForm->HandleNeeded();
  AForm->Realign();
}

TEST_F(TFormsTest, AFormWithNestedAlignedControlsAndComponentsReadsBackAsItWasWritten)
{
  rtl::RegisterClasses({rtl::TPersistentClass::Of<TFormsTestPanel>(), rtl::TPersistentClass::Of<TMemo>(),
                        rtl::TPersistentClass::Of<TTimer>(), rtl::TPersistentClass::Of<TMainMenu>(),
                        rtl::TPersistentClass::Of<TMenuItem>()});
  rtl::TOwnedPtr<TForm> form(CreateBlankForm());
  BuildNestedForm(form.get());
  const TFormFile written = WriteForm(form.get());

  rtl::TOwnedPtr<TForm> copy(CreateBlankForm());
  ReadForm(written, copy.get());
  auto find = [&](rtl::TComponent* AOwner, const wchar_t* AName) {
    rtl::TComponent* found = AOwner->FindComponent(AName);
    EXPECT_NE(found, nullptr) << testing::PrintToString(String(AName));
    return found;
  };
  struct Row {
    const wchar_t* Name;
    const wchar_t* Parent;
    TAlign Align;
  };
  const Row controls[] = {
      {L"Bar", nullptr, alTop}, {L"Outer", nullptr, alClient}, {L"Inner", L"Outer", alClient},
      {L"Notes", L"Inner", alClient}};
  for (const Row& row : controls) {
    SCOPED_TRACE(testing::PrintToString(String(row.Name)));
    auto* original = static_cast<TControl*>(find(form.get(), row.Name));
    auto* read = static_cast<TControl*>(find(copy.get(), row.Name));
    ASSERT_TRUE(original && read);
    rtl::TComponent* parent = row.Parent ? find(copy.get(), row.Parent) : copy.get();
    EXPECT_EQ(read->GetParent(), parent);
    EXPECT_EQ(read->GetAlign(), row.Align);
    ExpectBounds(read, BoundsOf(original));
  }
  // And the alignment holds in the copy: the memo fills what holds it.
  auto* memo = static_cast<TMemo*>(find(copy.get(), L"Notes"));
  ASSERT_NE(memo, nullptr);
  ExpectBounds(memo, memo->GetParent()->GetClientRect());
  EXPECT_GT(memo->GetHeight(), 0);
  EXPECT_EQ(memo->GetLines()->GetText(), L"alpha\r\nbeta\r\n");

  auto* timer = static_cast<TTimer*>(find(copy.get(), L"Ticker"));
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->GetInterval(), 250u);
  EXPECT_FALSE(timer->GetEnabled());
  auto* menu = static_cast<TMainMenu*>(find(copy.get(), L"Menu"));
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->GetItems()->GetCount(), 1);
  TMenuItem* file = menu->GetItems()->GetItems(0);
  EXPECT_EQ(file->GetName(), L"FileItem");
  ASSERT_EQ(file->GetCount(), 1);
  EXPECT_EQ(file->GetItems(0)->GetCaption(), L"&Quit");

  // Written again, the copy gives the same bytes.
  const TFormFile again = WriteForm(copy.get());
  EXPECT_EQ(again.Text, written.Text);
  EXPECT_TRUE(again.Binary == written.Binary);
}

// What the form file holds, in the order it is written: the controls the
// form owns in their parents' order, then the form's other components;
// each child's published properties, defaults left out.
TEST_F(TFormsTest, AFormFileListsControlsThenItsOtherComponentsAndLeavesOutDefaults)
{
  rtl::TOwnedPtr<TForm> form(CreateBlankForm());
  BuildNestedForm(form.get());
  const std::string text = WriteForm(form.get()).Text;
  const char* order[] = {"object Bar: TFormsTestPanel",    "object Outer: TFormsTestPanel",
                         "object Inner: TFormsTestPanel",  "object Notes: TMemo",
                         "object Ticker: TTimer",          "object Menu: TMainMenu",
                         "object FileItem: TMenuItem",     "object QuitItem: TMenuItem"};
  std::size_t last = 0;
  for (const char* part : order) {
    const std::size_t at = text.find(part);
    EXPECT_NE(at, std::string::npos) << part << " in\n" << text;
    EXPECT_GT(at, last) << part << " in\n" << text;
    last = at == std::string::npos ? last : at;
  }
  // The memo: its lines, once, and nothing of the window text besides.
  const std::size_t notes = text.find("object Notes");
  ASSERT_NE(notes, std::string::npos) << text;
  const std::string memo = text.substr(notes, text.find("object Ticker") - notes);
  for (const char* once : {"Lines.Strings = (", "'alpha'", "'beta'"}) {
    EXPECT_NE(memo.find(once), std::string::npos) << once << " in\n" << memo;
    EXPECT_EQ(memo.find(once), memo.rfind(once)) << once << " in\n" << memo;
  }
  for (const char* absent : {"Caption", "Text", "TabStop", "ParentColor", "Color", "Anchors", "Visible", "DockSite"})
    EXPECT_EQ(memo.find(absent), std::string::npos) << absent << " in\n" << memo;
  EXPECT_NE(text.find("Interval = 250"), std::string::npos) << text;
  EXPECT_NE(text.find("Caption = 'Tools'"), std::string::npos) << text;
}

}  // namespace
}  // namespace vcl
