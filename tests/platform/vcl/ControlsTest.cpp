#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "platform/rtl/ClassesFiler.h"
#include "platform/rtl/ClassesStreams.h"
#include "platform/rtl/ClassesThreads.h"
#include "platform/vcl/Controls.h"
#include "tests/support/TestSupport.h"

using enum vcl::TAlign;
using enum vcl::TAnchorKind;
using enum vcl::TControlStyleItem;
using enum vcl::TShiftStateItem;

namespace vcl {
namespace {

using rtl::String;

// ---------------------------------------------------------------------------
// Recording what controls receive

std::vector<String>& Log()
{
  static std::vector<String> log;
  return log;
}

String MessageName(UINT AMsg)
{
  switch (AMsg) {
    case WM_SETFOCUS: return L"WM_SETFOCUS";
    case WM_KILLFOCUS: return L"WM_KILLFOCUS";
    case CM_ENTER: return L"CM_ENTER";
    case CM_EXIT: return L"CM_EXIT";
    case CM_FOCUSCHANGED: return L"CM_FOCUSCHANGED";
    case CM_MOUSEENTER: return L"CM_MOUSEENTER";
    case CM_MOUSELEAVE: return L"CM_MOUSELEAVE";
    case CN_COMMAND: return L"CN_COMMAND";
    case CM_TEXTCHANGED: return L"CM_TEXTCHANGED";
    default: return {};
  }
}

String NameOf(LPARAM AControl)
{
  return AControl ? reinterpret_cast<TControl*>(AControl)->GetName() : String(L"nil");
}

// "<receiver>:<message>", with the control named by LParam where the
// message names one.
void Record(TControl* AReceiver, const TMessage& AMessage)
{
  const String name = MessageName(AMessage.Msg);
  if (name.empty())
    return;
  String entry = AReceiver->GetName() + L":" + name;
  if (AMessage.Msg == CM_MOUSEENTER || AMessage.Msg == CM_MOUSELEAVE || AMessage.Msg == CM_FOCUSCHANGED)
    entry += L"(" + NameOf(AMessage.LParam) + L")";
  Log().push_back(entry);
}

using kvtest::ExpectSequence;

// A windowed control that records and paints itself in its colour.
class TControlProbe : public TCustomControl {
  RTL_CLASS(TControlProbe, TCustomControl)
  RTL_PUBLISHED(RTL_PUBLISH(Anchors), RTL_PUBLISH(Color), RTL_PUBLISH(Font), RTL_PUBLISH(TabOrder))

 public:
  void WndProc(TMessage& AMessage) override
  {
    Record(this, AMessage);
    inherited::WndProc(AMessage);
  }

  int Paints = 0;

 protected:
  void Paint() override
  {
    ++Paints;
    GetCanvas()->GetBrush()->SetColor(GetColor());
    GetCanvas()->FillRect(GetClientRect());
  }
};

// The top-level window of a test, standing in for a form.
class THost : public TControlProbe {
  RTL_CLASS(THost, TControlProbe)

 public:
  void Create(TComponent* AOwner) override
  {
    inherited::Create(AOwner);
    FVisible = false;
    FControlStyle.Include(csAcceptsControls);
  }

 protected:
  void CreateParams(TCreateParams& AParams) override
  {
    inherited::CreateParams(AParams);
    AParams.Style = WS_POPUP | WS_CLIPCHILDREN;
    AParams.WndParent = nullptr;
  }
  bool IsTopLevelHost() const override { return true; }
};

// A non-windowed child painting itself in its colour.
class TControlShape : public TGraphicControl {
  RTL_CLASS(TControlShape, TGraphicControl)

 public:
  void WndProc(TMessage& AMessage) override
  {
    Record(this, AMessage);
    inherited::WndProc(AMessage);
  }

 protected:
  void Paint() override
  {
    GetCanvas()->GetBrush()->SetColor(GetColor());
    GetCanvas()->FillRect({0, 0, GetWidth(), GetHeight()});
  }
};

// The native push button, superclassed.
class TNativeButton : public TWinControl {
  RTL_CLASS(TNativeButton, TWinControl)
  RTL_MESSAGES(RTL_MESSAGE(CN_COMMAND, CNCommand))

 public:
  WORD LastNotifyCode = 0;

  void WndProc(TMessage& AMessage) override
  {
    Record(this, AMessage);
    inherited::WndProc(AMessage);
  }

 protected:
  void CreateParams(TCreateParams& AParams) override
  {
    inherited::CreateParams(AParams);
    CreateSubClass(AParams, L"BUTTON");
    AParams.Style |= BS_PUSHBUTTON;
  }

 private:
  void CNCommand(TWMCommand& AMessage)
  {
    LastNotifyCode = AMessage.NotifyCode;
    AMessage.Result = 1;
  }
};

// The native list box, superclassed: its own double-click handling
// notifies LBN_DBLCLK, which comes back to it as OnDblClick.
class TNativeList : public TWinControl {
  RTL_CLASS(TNativeList, TWinControl)
  RTL_MESSAGES(RTL_MESSAGE(CN_COMMAND, CNCommand))

 protected:
  void CreateParams(TCreateParams& AParams) override
  {
    inherited::CreateParams(AParams);
    CreateSubClass(AParams, L"LISTBOX");
    AParams.Style |= LBS_NOTIFY;
  }

 private:
  void CNCommand(TWMCommand& AMessage)
  {
    if (AMessage.NotifyCode == LBN_DBLCLK)
      DblClick();
  }
};

using kvtest::PumpMessages;

// A host with its window shown, freed with the test.
class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    Log().clear();
    FHost.reset(rtl::New<THost>(nullptr));
    FHost->SetName(L"Host");
    FHost->SetBounds(10, 10, 200, 100);
  }
  void TearDown() override
  {
    FHost.reset();
    PumpMessages();
  }

  template <class T>
  T* AddChild(const wchar_t* AName, TRect ABounds, TWinControl* AParent = nullptr)
  {
    T* child = rtl::New<T>(FHost.get());
    child->SetName(AName);
    child->SetBoundsRect(ABounds);
    child->SetParent(AParent ? AParent : FHost.get());
    return child;
  }

  rtl::TOwnedPtr<THost> FHost;
};

// ---------------------------------------------------------------------------
// Bounds, align and anchors

TEST_F(ControlsTest, ChildrenFollowAlignAndAnchorsWhenTheParentResizes)
{
  struct TCase {
    const wchar_t* Name;
    TAlign Align;
    TAnchors Anchors;
    TRect Bounds;
    TRect AfterResize;  // parent 200x100 -> 300x160
  };
  const TCase cases[] = {
      {L"Top", alTop, {}, {0, 0, 50, 20}, {0, 0, 300, 20}},
      {L"Bottom", alBottom, {}, {0, 0, 50, 10}, {0, 150, 300, 160}},
      {L"Left", alLeft, {}, {0, 0, 30, 5}, {0, 20, 30, 150}},
      {L"Right", alRight, {}, {0, 0, 40, 5}, {260, 20, 300, 150}},
      {L"Client", alClient, {}, {0, 0, 5, 5}, {30, 20, 260, 150}},
      {L"RightBottom", alNone, {akRight, akBottom}, {150, 60, 190, 90}, {250, 120, 290, 150}},
      {L"Stretch", alNone, {akLeft, akTop, akRight, akBottom}, {10, 10, 190, 90}, {10, 10, 290, 150}},
      {L"Centred", alNone, TAnchors{}, {90, 40, 110, 60}, {140, 70, 160, 90}},
      {L"Fixed", alNone, {akLeft, akTop}, {5, 5, 25, 25}, {5, 5, 25, 25}},
  };
  // Without windows first, then the same again once the windows exist.
  for (bool withWindows : {false, true}) {
    SetUp();
    if (withWindows)
      FHost->Show();
    std::vector<TControl*> children;
    for (const TCase& c : cases) {
      TGraphicControl* child = AddChild<TControlShape>(c.Name, c.Bounds);
      if (c.Align != alNone)
        child->SetAlign(c.Align);
      else
        child->SetAnchors(c.Anchors);
      children.push_back(child);
    }
    FHost->SetBounds(10, 10, 300, 160);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
      const TRect r = children[i]->GetBoundsRect();
      const TRect& e = cases[i].AfterResize;
      EXPECT_TRUE(EqualRect(&r, &e)) << (withWindows ? "windows " : "no windows ")
                                     << std::string(cases[i].Name, cases[i].Name + wcslen(cases[i].Name)) << ": "
                                     << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
    TearDown();
  }
}

TEST_F(ControlsTest, BoundsOfAWindowedChildAreItsWindowsAndConstraintsLimitThem)
{
  FHost->Show();
  TControlProbe* child = AddChild<TControlProbe>(L"Child", {5, 6, 55, 36});
  ASSERT_TRUE(child->HandleAllocated());
  RECT window{};
  GetWindowRect(child->GetHandle(), &window);
  MapWindowPoints(nullptr, FHost->GetHandle(), reinterpret_cast<POINT*>(&window), 2);
  EXPECT_EQ(window.left, 5);
  EXPECT_EQ(window.top, 6);
  EXPECT_EQ(child->GetClientWidth(), 50);
  EXPECT_EQ(child->GetClientHeight(), 30);

  // The window moved behind the control's back is read back.
  SetWindowPos(child->GetHandle(), nullptr, 20, 25, 70, 40, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(child->GetLeft(), 20);
  EXPECT_EQ(child->GetWidth(), 70);

  child->GetConstraints()->SetMaxWidth(60);
  EXPECT_EQ(child->GetWidth(), 60);
  child->SetBounds(0, 0, 10, 10);
  child->GetConstraints()->SetMinHeight(15);
  EXPECT_EQ(child->GetHeight(), 15);

  const TPoint screen = child->ClientToScreen(TPoint{1, 2});
  POINT expected{1, 2};
  ::ClientToScreen(child->GetHandle(), &expected);
  EXPECT_EQ(screen.x, expected.x);
  EXPECT_EQ(screen.y, expected.y);
  EXPECT_EQ(child->ScreenToClient(screen).y, 2);
}

// Show makes the control itself visible; a hidden parent (or form) stays
// hidden.
TEST_F(ControlsTest, ShowingAChildLeavesItsHiddenParentsHidden)
{
  TControlProbe* panel = AddChild<TControlProbe>(L"Panel", {0, 0, 100, 100});
  TControlShape* shape = AddChild<TControlShape>(L"Shape", {10, 10, 30, 30}, panel);
  panel->Hide();
  shape->Hide();

  shape->Show();

  EXPECT_TRUE(shape->GetVisible());
  EXPECT_FALSE(panel->GetVisible());
  EXPECT_FALSE(FHost->GetVisible());
  EXPECT_FALSE(FHost->HandleAllocated());
}

TEST_F(ControlsTest, AlignmentWaitsWhileDisabled)
{
  TControlShape* top = AddChild<TControlShape>(L"Top", {0, 0, 10, 10});
  FHost->DisableAlign();
  top->SetAlign(alTop);
  EXPECT_EQ(top->GetWidth(), 10);
  FHost->EnableAlign();
  EXPECT_EQ(top->GetWidth(), 200);
}

// ---------------------------------------------------------------------------
// Mouse

TEST_F(ControlsTest, AClickOnAWindowedOrNonWindowedChildReachesItsOnClick)
{
  FHost->Show();
  TControlProbe* windowed = AddChild<TControlProbe>(L"Windowed", {0, 0, 50, 50});
  TControlShape* shape = AddChild<TControlShape>(L"Shape", {100, 0, 150, 50});
  std::vector<String> clicks;
  struct TClicks {
    std::vector<String>* List;
    void Clicked(TObject* ASender) { List->push_back(static_cast<TControl*>(ASender)->GetName()); }
  } handler{&clicks};
  windowed->SetOnClick(TNotifyEvent::Bind<&TClicks::Clicked>(&handler));
  shape->SetOnClick(TNotifyEvent::Bind<&TClicks::Clicked>(&handler));

  SendMessageW(windowed->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(windowed->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  // The shape has no window: its parent routes the mouse to it.
  SendMessageW(FHost->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(110, 10));
  EXPECT_TRUE(shape->GetMouseCapture());
  SendMessageW(FHost->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(110, 10));
  EXPECT_FALSE(shape->GetMouseCapture());
  // Released outside the control: no click.
  SendMessageW(windowed->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(windowed->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(500, 5));

  ExpectSequence({L"Windowed", L"Shape"}, clicks);
}

// A double click that closes what was double-clicked: the control is not
// touched after its OnDblClick freed it.
TEST_F(ControlsTest, AControlMayFreeItselfFromItsDoubleClick)
{
  FHost->Show();
  struct TFreeOnDblClick {
    int MouseDowns = 0;
    void DblClicked(TObject* ASender) { rtl::Free(ASender); }
    void MouseDown(TObject*, TMouseButton, TShiftState, int, int) { ++MouseDowns; }
  } handler;
  enum TKind { kWindowed, kNonWindowed, kNativeList };
  const struct {
    const char* Name;
    TKind Kind;
  } cases[] = {{"windowed", kWindowed}, {"non-windowed", kNonWindowed}, {"notified by the native list", kNativeList}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TControl* control = nullptr;
    switch (c.Kind) {
      case kWindowed:
        control = AddChild<TControlProbe>(L"Windowed", {0, 0, 50, 50});
        break;
      case kNonWindowed:
        control = AddChild<TControlShape>(L"Shape", {0, 0, 50, 50});
        break;
      case kNativeList:
        control = AddChild<TNativeList>(L"List", {0, 0, 50, 50});
        SendMessageW(static_cast<TWinControl*>(control)->GetHandle(), LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(L"item"));
        break;
    }
    control->SetOnDblClick(TNotifyEvent::Bind<&TFreeOnDblClick::DblClicked>(&handler));
    control->SetOnMouseDown(TMouseEvent::Bind<&TFreeOnDblClick::MouseDown>(&handler));
    const HWND wnd = c.Kind == kNonWindowed ? FHost->GetHandle() : static_cast<TWinControl*>(control)->GetHandle();

    SendMessageW(wnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(FHost->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));

    EXPECT_EQ(FHost->GetControlCount(), 0);
    EXPECT_EQ(handler.MouseDowns, 0);
  }
}

// A click that closes what was clicked: no OnMouseUp reaches the control
// its OnClick freed, whether it has a window or its parent routes the mouse.
TEST_F(ControlsTest, AControlMayFreeItselfFromItsClick)
{
  FHost->Show();
  struct TFreeOnClick {
    int MouseUps = 0;
    void Clicked(TObject* ASender) { rtl::Free(ASender); }
    void MouseUp(TObject*, TMouseButton, TShiftState, int, int) { ++MouseUps; }
  } handler;
  const struct {
    const char* Name;
    bool Windowed;
  } cases[] = {{"windowed", true}, {"non-windowed", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TControl* control = c.Windowed ? static_cast<TControl*>(AddChild<TControlProbe>(L"Windowed", {0, 0, 50, 50}))
                                   : AddChild<TControlShape>(L"Shape", {0, 0, 50, 50});
    control->SetOnClick(TNotifyEvent::Bind<&TFreeOnClick::Clicked>(&handler));
    control->SetOnMouseUp(TMouseEvent::Bind<&TFreeOnClick::MouseUp>(&handler));
    const HWND wnd = c.Windowed ? static_cast<TWinControl*>(control)->GetHandle() : FHost->GetHandle();

    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));

    EXPECT_EQ(FHost->GetControlCount(), 0);
    EXPECT_EQ(handler.MouseUps, 0);
    EXPECT_EQ(GetCapture(), nullptr);
  }
}

// A key that closes what had the focus: the control its key handler freed
// is not handed to the default handling afterwards.
TEST_F(ControlsTest, AControlMayFreeItselfFromItsKeyHandlers)
{
  FHost->Show();
  struct TFreeOnKey {
    void Key(TObject* ASender, WORD&, TShiftState) { rtl::Free(ASender); }
    void Press(TObject* ASender, wchar_t&) { rtl::Free(ASender); }
  } handler;
  const struct {
    const char* Name;
    UINT Message;
  } cases[] = {{"key down", WM_KEYDOWN}, {"system key down", WM_SYSKEYDOWN}, {"key up", WM_KEYUP},
               {"system key up", WM_SYSKEYUP}, {"character", WM_CHAR}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TControlProbe* control = AddChild<TControlProbe>(L"Keyed", {0, 0, 50, 50});
    control->SetOnKeyDown(TKeyEvent::Bind<&TFreeOnKey::Key>(&handler));
    control->SetOnKeyUp(TKeyEvent::Bind<&TFreeOnKey::Key>(&handler));
    control->SetOnKeyPress(TKeyPressEvent::Bind<&TFreeOnKey::Press>(&handler));

    SendMessageW(control->GetHandle(), c.Message, 'A', 0);

    EXPECT_EQ(FHost->GetControlCount(), 0);
  }
}

TEST_F(ControlsTest, MouseEnterAndLeaveReachTheControlAndItsParents)
{
  FHost->Show();
  TControlProbe* panel = AddChild<TControlProbe>(L"Panel", {0, 0, 100, 100});
  TControlShape* shape = AddChild<TControlShape>(L"Shape", {10, 10, 30, 30}, panel);
  Log().clear();

  SendMessageW(panel->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 50));
  SendMessageW(panel->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(60, 50));  // no second enter
  SendMessageW(panel->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(15, 15));  // onto the shape
  SendMessageW(panel->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 50));  // off it
  SendMessageW(panel->GetHandle(), WM_MOUSELEAVE, 0, 0);

  ExpectSequence(
      {
          L"Panel:CM_MOUSEENTER(Panel)", L"Host:CM_MOUSEENTER(Panel)",
          L"Shape:CM_MOUSEENTER(Shape)", L"Panel:CM_MOUSEENTER(Shape)", L"Host:CM_MOUSEENTER(Shape)",
          L"Shape:CM_MOUSELEAVE(Shape)", L"Panel:CM_MOUSELEAVE(Shape)", L"Host:CM_MOUSELEAVE(Shape)",
          L"Panel:CM_MOUSELEAVE(Panel)", L"Host:CM_MOUSELEAVE(Panel)",
      },
      Log());

  // The events fire for the control itself only.
  int enters = 0;
  struct TCount {
    int* Count;
    void Entered(TObject*) { ++*Count; }
  } counter{&enters};
  FHost->SetOnMouseEnter(TNotifyEvent::Bind<&TCount::Entered>(&counter));
  panel->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(panel));
  EXPECT_EQ(enters, 0);
  FHost->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(enters, 1);
  (void)shape;
}

TEST_F(ControlsTest, TheWheelGoesUpTheParentsUntilOneHandlesIt)
{
  FHost->Show();
  TControlProbe* child = AddChild<TControlProbe>(L"Child", {0, 0, 50, 50});
  struct TWheel {
    int Delta = 0;
    TShiftState Shift;
    void Wheel(TObject*, TShiftState AShift, int ADelta, TPoint, bool& AHandled)
    {
      Delta = ADelta;
      Shift = AShift;
      AHandled = true;
    }
  } wheel;
  FHost->SetOnMouseWheel(TMouseWheelEvent::Bind<&TWheel::Wheel>(&wheel));
  const LRESULT result = SendMessageW(child->GetHandle(), WM_MOUSEWHEEL,
                                      MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-120)), MAKELPARAM(1, 1));
  EXPECT_EQ(wheel.Delta, -120);
  EXPECT_TRUE(wheel.Shift.Contains(ssCtrl));
  (void)result;
}

// A wheel nobody handles goes on to the window's own procedure, which hands
// it to the parent window: the parent still reads the keys that were down.
TEST_F(ControlsTest, AnUnhandledWheelReachesTheParentWindowWithItsKeys)
{
  FHost->Show();
  TControlProbe* child = AddChild<TControlProbe>(L"Child", {0, 0, 50, 50});
  struct TWheelSeen {
    std::vector<TShiftState> Shifts;
    void Wheel(TObject*, TShiftState AShift, int, TPoint, bool&) { Shifts.push_back(AShift); }
  } seen;
  FHost->SetOnMouseWheel(TMouseWheelEvent::Bind<&TWheelSeen::Wheel>(&seen));
  const struct {
    const char* Name;
    WORD Keys;
    TShiftState Expected;
  } cases[] = {
      {"Ctrl", MK_CONTROL, {ssCtrl}},
      {"Shift", MK_SHIFT, {ssShift}},
      {"Ctrl and the left button", MK_CONTROL | MK_LBUTTON, {ssCtrl, ssLeft}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    seen.Shifts.clear();
    SendMessageW(child->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(c.Keys, 120), MAKELPARAM(1, 1));
    ASSERT_FALSE(seen.Shifts.empty());
    for (const TShiftState& shift : seen.Shifts)
      EXPECT_EQ((shift - TShiftState{ssAlt}).ToOrd(), c.Expected.ToOrd());
  }
}

// ---------------------------------------------------------------------------
// Windows, reflection, exceptions

TEST_F(ControlsTest, ANativeButtonsCommandComesBackToItAsCNCommand)
{
  FHost->Show();
  TNativeButton* button = AddChild<TNativeButton>(L"Button", {0, 0, 80, 24});
  button->SetText(L"Press");
  wchar_t className[64]{};
  GetClassNameW(button->GetHandle(), className, 64);
  EXPECT_STREQ(className, L"TNativeButton");
  wchar_t text[16]{};
  GetWindowTextW(button->GetHandle(), text, 16);
  EXPECT_STREQ(text, L"Press");
  Log().clear();

  SendMessageW(button->GetHandle(), BM_CLICK, 0, 0);
  PumpMessages();

  EXPECT_EQ(button->LastNotifyCode, BN_CLICKED);
  // The click also moves the focus; the reflected command reaches the
  // button alone.
  std::vector<String> commands;
  std::copy_if(Log().begin(), Log().end(), std::back_inserter(commands),
               [](const String& AEntry) { return AEntry.find(L"CN_COMMAND") != String::npos; });
  ExpectSequence({L"Button:CN_COMMAND"}, commands);
}

TEST_F(ControlsTest, RecreatingTheWindowKeepsTextBoundsChildrenAndVisibility)
{
  FHost->Show();
  TControlProbe* panel = AddChild<TControlProbe>(L"Panel", {5, 5, 105, 65});
  TControlProbe* inner = AddChild<TControlProbe>(L"Inner", {2, 3, 22, 13}, panel);
  panel->SetText(L"Panel text");
  const HWND oldPanel = panel->GetHandle();
  const HWND oldInner = inner->GetHandle();

  panel->RecreateWnd();

  ASSERT_TRUE(panel->HandleAllocated());
  EXPECT_NE(panel->GetHandle(), oldPanel);
  EXPECT_FALSE(IsWindow(oldInner));
  EXPECT_TRUE(inner->HandleAllocated());
  EXPECT_EQ(::GetParent(inner->GetHandle()), panel->GetHandle());
  EXPECT_EQ(panel->GetText(), L"Panel text");
  EXPECT_EQ(FindControl(panel->GetHandle()), panel);
  EXPECT_TRUE(IsWindowVisible(panel->GetHandle()));
  const TRect bounds = inner->GetBoundsRect();
  const TRect expected{2, 3, 22, 13};
  EXPECT_TRUE(EqualRect(&bounds, &expected));
  // A window gone leaves no trace to its control.
  EXPECT_EQ(FindControl(oldPanel), nullptr);
}

// The later a windowed child in its parent's list, the nearer the top its
// window stands: the order of the windows follows the list through
// creation, z-order changes and re-creation.
TEST_F(ControlsTest, TheWindowsOfChildrenStackInTheOrderOfTheList)
{
  FHost->Show();
  TControlProbe* a = AddChild<TControlProbe>(L"A", {0, 0, 50, 50});
  TControlProbe* b = AddChild<TControlProbe>(L"B", {10, 10, 60, 60});
  TControlProbe* c = AddChild<TControlProbe>(L"C", {20, 20, 70, 70});
  // Top to bottom, as the windows stand.
  const auto stack = [&] {
    std::vector<String> names;
    for (HWND wnd = GetTopWindow(FHost->GetHandle()); wnd; wnd = GetWindow(wnd, GW_HWNDNEXT))
      names.push_back(FindControl(wnd)->GetName());
    return names;
  };
  ExpectSequence({L"C", L"B", L"A"}, stack());
  EXPECT_EQ(FHost->ControlAtPos({25, 25}, false, true), c);
  a->BringToFront();
  ExpectSequence({L"A", L"C", L"B"}, stack());
  a->RecreateWnd();
  ExpectSequence({L"A", L"C", L"B"}, stack());
  c->RecreateWnd();
  ExpectSequence({L"A", L"C", L"B"}, stack());
  (void)b;
}

// A minimised window keeps the bounds it has when restored: its children
// are not aligned to the icon, and Left/Top/Width/Height stay what a
// caller would store.
TEST_F(ControlsTest, AMinimisedWindowKeepsItsNormalBounds)
{
  FHost->Show();
  TControlProbe* client = AddChild<TControlProbe>(L"Client", {0, 0, 10, 10});
  client->SetAlign(alClient);
  const TRect before = FHost->GetBoundsRect();

  ShowWindow(FHost->GetHandle(), SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(FHost->GetHandle()));

  const TRect minimised = FHost->GetBoundsRect();
  EXPECT_TRUE(EqualRect(&minimised, &before))
      << minimised.left << "," << minimised.top << "," << minimised.right << "," << minimised.bottom;
  EXPECT_EQ(client->GetWidth(), 200);
  EXPECT_EQ(client->GetHeight(), 100);

  // Bounds set meanwhile are the ones it comes back to.
  FHost->SetBounds(20, 30, 250, 120);
  ShowWindow(FHost->GetHandle(), SW_RESTORE);
  ASSERT_FALSE(IsIconic(FHost->GetHandle()));
  RECT window{};
  GetWindowRect(FHost->GetHandle(), &window);
  const TRect expected{20, 30, 270, 150};
  EXPECT_TRUE(EqualRect(&window, &expected)) << window.left << "," << window.top << "," << window.right << ","
                                              << window.bottom;
  const TRect restored = FHost->GetBoundsRect();
  EXPECT_TRUE(EqualRect(&restored, &expected));
  EXPECT_EQ(client->GetWidth(), 250);

  // A minimised child window keeps its place in its parent.
  TControlProbe* inner = AddChild<TControlProbe>(L"Inner", {5, 6, 45, 36}, client);
  ShowWindow(inner->GetHandle(), SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(inner->GetHandle()));
  const TRect innerBounds = inner->GetBoundsRect();
  const TRect innerExpected{5, 6, 45, 36};
  EXPECT_TRUE(EqualRect(&innerBounds, &innerExpected))
      << innerBounds.left << "," << innerBounds.top << "," << innerBounds.right << "," << innerBounds.bottom;
}

TEST_F(ControlsTest, AWindowDestroyedBehindTheControlsBackIsDetachedAndMadeAgain)
{
  FHost->Show();
  TControlProbe* child = AddChild<TControlProbe>(L"Child", {1, 2, 31, 22});
  child->SetText(L"kept");
  const HWND old = child->GetHandle();
  DestroyWindow(old);
  EXPECT_FALSE(child->HandleAllocated());
  EXPECT_EQ(FindControl(old), nullptr);
  child->HandleNeeded();
  ASSERT_TRUE(child->HandleAllocated());
  EXPECT_EQ(FindControl(child->GetHandle()), child);
  EXPECT_EQ(child->GetLeft(), 1);
}

TEST_F(ControlsTest, FreeingAParentFreesItsChildrenWhoeverOwnsThem)
{
  FHost->Show();
  rtl::TOwnedPtr<rtl::TComponent> owner(rtl::New<rtl::TComponent>(nullptr));
  TControlProbe* panel = rtl::New<TControlProbe>(owner.get());
  panel->SetParent(FHost.get());
  TControlShape* unowned = rtl::New<TControlShape>(nullptr);
  unowned->SetParent(panel);
  ASSERT_EQ(owner->GetComponentCount(), 1);

  rtl::Free(panel);

  EXPECT_EQ(owner->GetComponentCount(), 0);
  EXPECT_EQ(FHost->GetControlCount(), 0);
}

TEST_F(ControlsTest, TextLivesInTheWindowAndWithoutOne)
{
  TControlProbe* child = AddChild<TControlProbe>(L"Child", {0, 0, 10, 10});
  Log().clear();
  child->SetText(L"before");
  EXPECT_EQ(child->GetText(), L"before");
  ExpectSequence({L"Child:CM_TEXTCHANGED"}, Log());
  child->SetText(L"before");  // unchanged: no notification
  EXPECT_EQ(Log().size(), 1u);
  FHost->Show();
  wchar_t text[16]{};
  GetWindowTextW(child->GetHandle(), text, 16);
  EXPECT_STREQ(text, L"before");
  SetWindowTextW(child->GetHandle(), L"after");
  EXPECT_EQ(child->GetText(), L"after");
  wchar_t small[4]{};
  EXPECT_EQ(child->GetTextBuf(small, 4), 3);
  EXPECT_STREQ(small, L"aft");
}

class TThrowing : public TControlProbe {
  RTL_CLASS(TThrowing, TControlProbe)
  RTL_MESSAGES(RTL_MESSAGE(WM_USER + 1, WMThrow))

 private:
  void WMThrow(TMessage&) { throw rtl::EConvertError(L"thrown in a handler"); }
};

TEST_F(ControlsTest, AnExceptionInAHandlerReachesTheApplicationHandlerAndMessagesGoOn)
{
  struct THandler {
    std::vector<String> Messages;
    void Handle(TObject*)
    {
      try {
        throw;
      } catch (const rtl::Exception& e) {
        Messages.push_back(e.Message());
      }
    }
  } handler;
  const TNotifyEvent saved = rtl::GetApplicationHandleException();
  rtl::SetApplicationHandleException(TNotifyEvent::Bind<&THandler::Handle>(&handler));
  FHost->Show();
  TThrowing* child = AddChild<TThrowing>(L"Child", {0, 0, 10, 10});

  SendMessageW(child->GetHandle(), WM_USER + 1, 0, 0);
  PostMessageW(child->GetHandle(), WM_USER + 1, 0, 0);
  PumpMessages();
  // The window still answers afterwards.
  SetWindowTextW(child->GetHandle(), L"alive");
  EXPECT_EQ(child->GetText(), L"alive");

  rtl::SetApplicationHandleException(saved);
  ExpectSequence({L"thrown in a handler", L"thrown in a handler"}, handler.Messages);
}

// Answers each reflected notification with its own number, so the test
// sees the child's result come back through the parent.
class TReflected : public TControlProbe {
  RTL_CLASS(TReflected, TControlProbe)
  RTL_MESSAGES(RTL_MESSAGE(CN_NOTIFY, CNAnswer), RTL_MESSAGE(CN_DRAWITEM, CNAnswer),
               RTL_MESSAGE(CN_CTLCOLOREDIT, CNAnswer), RTL_MESSAGE(CN_HSCROLL, CNAnswer),
               RTL_MESSAGE(CN_VSCROLL, CNAnswer), RTL_MESSAGE(CN_COMMAND, CNAnswer))

 private:
  void CNAnswer(TMessage& AMessage) { AMessage.Result = AMessage.Msg; }
};

TEST_F(ControlsTest, NotificationsOfAChildComeBackToItAsCNMessagesWithItsResult)
{
  FHost->Show();
  TReflected* child = AddChild<TReflected>(L"Child", {0, 0, 20, 20});
  const HWND wnd = child->GetHandle();
  NMHDR header{wnd, 1, 0};
  DRAWITEMSTRUCT drawItem{};
  drawItem.CtlType = ODT_BUTTON;
  drawItem.hwndItem = wnd;
  const struct {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    UINT Reflected;
  } cases[] = {
      {WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&header), CN_NOTIFY},
      {WM_DRAWITEM, 1, reinterpret_cast<LPARAM>(&drawItem), CN_DRAWITEM},
      {WM_CTLCOLOREDIT, 0, reinterpret_cast<LPARAM>(wnd), CN_CTLCOLOREDIT},
      {WM_HSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(wnd), CN_HSCROLL},
      {WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(wnd), CN_VSCROLL},
      {WM_COMMAND, MAKEWPARAM(1, EN_CHANGE), reinterpret_cast<LPARAM>(wnd), CN_COMMAND},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SendMessageW(FHost->GetHandle(), c.Msg, c.WParam, c.LParam), static_cast<LRESULT>(c.Reflected))
        << std::hex << c.Msg;

  // A control that does not answer CN_CTLCOLOR* paints with its brush.
  TControlProbe* plain = AddChild<TControlProbe>(L"Plain", {0, 0, 20, 20});
  plain->SetColor(0x123456);
  const LRESULT brush = SendMessageW(FHost->GetHandle(), WM_CTLCOLORSTATIC, 0,
                                     reinterpret_cast<LPARAM>(plain->GetHandle()));
  EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), plain->GetBrush()->GetHandle());
}

// A subclasser replaces WindowProc and calls the procedure it replaced.
struct TSubclasser {
  TWndMethod Old;
  std::vector<UINT> Seen;
  void WndProc(TMessage& AMessage)
  {
    Seen.push_back(AMessage.Msg);
    if (AMessage.Msg == WM_USER + 7) {
      AMessage.Result = 77;
      return;
    }
    Old(AMessage);
  }
};

TEST_F(ControlsTest, AReplacedWindowProcSeesEveryMessageFirst)
{
  FHost->Show();
  TControlProbe* child = AddChild<TControlProbe>(L"Child", {0, 0, 20, 20});
  TSubclasser subclasser{child->GetWindowProc(), {}};
  child->SetWindowProc(TWndMethod::Bind<&TSubclasser::WndProc>(&subclasser));
  EXPECT_EQ(SendMessageW(child->GetHandle(), WM_USER + 7, 0, 0), 77);
  EXPECT_EQ(child->Perform(WM_USER + 7, 0, 0), 77);
  child->SetText(L"through");
  EXPECT_EQ(child->GetText(), L"through");
  EXPECT_NE(std::find(subclasser.Seen.begin(), subclasser.Seen.end(), WM_SETTEXT), subclasser.Seen.end());
  child->SetWindowProc(subclasser.Old);
}

TEST_F(ControlsTest, ScalingForAnotherDpiScalesBoundsFontsAndAnchorRules)
{
  FHost->SetCurrentPPI(96);
  TControlProbe* child = AddChild<TControlProbe>(L"Child", {10, 20, 50, 40});
  child->SetCurrentPPI(96);
  child->GetFont()->SetHeight(-12);
  TControlShape* anchored = AddChild<TControlShape>(L"Anchored", {150, 60, 190, 90});
  anchored->SetCurrentPPI(96);
  anchored->SetAnchors({akRight, akBottom});

  FHost->ScaleForPPI(144);

  EXPECT_EQ(FHost->GetCurrentPPI(), 144);
  EXPECT_EQ(child->GetCurrentPPI(), 144);
  const TRect bounds = child->GetBoundsRect();
  const TRect expected{15, 30, 75, 60};
  EXPECT_TRUE(EqualRect(&bounds, &expected)) << bounds.left << "," << bounds.top << "," << bounds.right << ","
                                              << bounds.bottom;
  EXPECT_EQ(child->GetFont()->GetHeight(), -18);
  EXPECT_EQ(FHost->GetWidth(), 300);
  // The anchored child keeps its distance to the corner, scaled.
  EXPECT_EQ(anchored->GetLeft(), 225);
  EXPECT_EQ(anchored->GetTop(), 90);
  FHost->SetBounds(FHost->GetLeft(), FHost->GetTop(), 330, 170);
  EXPECT_EQ(anchored->GetLeft(), 255);
  EXPECT_EQ(anchored->GetTop(), 110);
}

// Constraints scale with the control; the scaled limits must not move an
// anchored control by the rules of its old size.
TEST_F(ControlsTest, ScalingAnAnchoredControlAtItsSizeLimitKeepsItsScaledPlace)
{
  struct TCase {
    const char* Name;
    int MinWidth;
    int MaxWidth;
    int NewPPI;
    TRect Expected;  // from {150, 60, 190, 90} in a 200x100 host at 96
  };
  const TCase cases[] = {
      {"at its minimum, scaled up", 40, 0, 144, {225, 90, 285, 135}},
      {"at its maximum, scaled down", 0, 40, 48, {75, 30, 95, 45}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    SetUp();
    FHost->SetCurrentPPI(96);
    TControlShape* anchored = AddChild<TControlShape>(L"Anchored", {150, 60, 190, 90});
    anchored->SetCurrentPPI(96);
    anchored->SetAnchors({akRight, akBottom});
    anchored->GetConstraints()->SetMinWidth(c.MinWidth);
    anchored->GetConstraints()->SetMaxWidth(c.MaxWidth);

    FHost->ScaleForPPI(c.NewPPI);

    const TRect bounds = anchored->GetBoundsRect();
    EXPECT_TRUE(EqualRect(&bounds, &c.Expected))
        << bounds.left << "," << bounds.top << "," << bounds.right << "," << bounds.bottom;
    TearDown();
  }
}

namespace {

// A probe that can be put in the state of a control being read.
class TControlReadProbe : public TControlProbe {
  RTL_CLASS(TControlReadProbe, TControlProbe)

 public:
  using rtl::TComponent::Loading;
};

}  // namespace

// A control being read scales only the values its form file gave; the
// change of scale clears the flags.
TEST_F(ControlsTest, ScalingAControlBeingReadScalesOnlyItsFlaggedValues)
{
  using enum vcl::TScalingFlag;
  struct TCase {
    const char* Name;
    vcl::TScalingFlags Flags;
    TRect Expected;  // from {10, 20, 50, 40} at 96, scaled to 144
    int FontHeight;  // from -12
  };
  const TCase cases[] = {
      {"all", {sfLeft, sfTop, sfWidth, sfHeight, sfFont}, {15, 30, 75, 60}, -18},
      {"the size", {sfWidth, sfHeight}, {10, 20, 70, 50}, -12},
      {"the position", {sfLeft, sfTop}, {15, 30, 55, 50}, -12},
      {"the font", {sfFont}, {10, 20, 50, 40}, -18},
      {"nothing", {}, {10, 20, 50, 40}, -12},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    SetUp();
    FHost->SetCurrentPPI(96);
    TControlReadProbe* child = AddChild<TControlReadProbe>(L"Child", {10, 20, 50, 40});
    child->SetCurrentPPI(96);
    child->SetParentFont(false);
    child->GetFont()->SetHeight(-12);
    child->Loading();
    child->SetScalingFlags(c.Flags);

    FHost->ScaleForPPI(144);

    const TRect bounds = child->GetBoundsRect();
    EXPECT_TRUE(EqualRect(&bounds, &c.Expected))
        << bounds.left << "," << bounds.top << "," << bounds.right << "," << bounds.bottom;
    EXPECT_EQ(child->GetFont()->GetHeight(), c.FontHeight);
    EXPECT_TRUE(child->GetScalingFlags().Empty());
    TearDown();
  }
}

// ---------------------------------------------------------------------------
// Focus

TEST_F(ControlsTest, FocusMovesWithExitEnterAndFocusChangedInOrder)
{
  FHost->Show();
  TControlProbe* left = AddChild<TControlProbe>(L"Left", {0, 0, 90, 90});
  TControlProbe* leftInner = AddChild<TControlProbe>(L"LeftInner", {5, 5, 20, 20}, left);
  TControlProbe* right = AddChild<TControlProbe>(L"Right", {100, 0, 190, 90});
  // Activated, the host window has the focus itself.
  SetForegroundWindow(FHost->GetHandle());
  ASSERT_EQ(GetFocus(), FHost->GetHandle());
  Log().clear();

  leftInner->SetFocus();
  ASSERT_TRUE(leftInner->Focused());
  right->SetFocus();
  ASSERT_TRUE(right->Focused());

  // The focus-changed broadcast reaches every control; only its first and
  // the receivers in order matter here.
  ExpectSequence(
      {
          L"Host:WM_KILLFOCUS", L"LeftInner:WM_SETFOCUS", L"Left:CM_ENTER", L"LeftInner:CM_ENTER", L"Host:CM_FOCUSCHANGED(LeftInner)",
          L"Left:CM_FOCUSCHANGED(LeftInner)", L"LeftInner:CM_FOCUSCHANGED(LeftInner)",
          L"Right:CM_FOCUSCHANGED(LeftInner)",
          L"LeftInner:WM_KILLFOCUS", L"Right:WM_SETFOCUS", L"LeftInner:CM_EXIT", L"Left:CM_EXIT", L"Right:CM_ENTER",
          L"Host:CM_FOCUSCHANGED(Right)", L"Left:CM_FOCUSCHANGED(Right)", L"LeftInner:CM_FOCUSCHANGED(Right)",
          L"Right:CM_FOCUSCHANGED(Right)",
      },
      Log());
  EXPECT_EQ(FHost->GetFocusedControl(), right);

  // A hidden or disabled control cannot take the focus.
  right->SetEnabled(false);
  EXPECT_FALSE(right->CanFocus());
  EXPECT_THROW(right->SetFocus(), rtl::EInvalidOperation);
}

// The names of the controls whose OnExit ran, in order.
struct TExitRecorder {
  std::vector<String> Names;
  void Exited(TObject* ASender) { Names.push_back(static_cast<TControl*>(ASender)->GetName()); }
};

// A control being freed is past its events: the focus bookkeeping leaves it
// before its window goes, so it hears no CM_EXIT while half destroyed.
TEST_F(ControlsTest, FreeingTheFocusedControlRunsNoExitOnIt)
{
  FHost->Show();
  SetForegroundWindow(FHost->GetHandle());
  TExitRecorder exits;
  const struct {
    const char* Name;
    bool FreeParent;
  } cases[] = {{"the control itself", false}, {"its parent", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    exits.Names.clear();
    TControlProbe* panel = AddChild<TControlProbe>(L"Panel", {0, 0, 90, 90});
    TControlProbe* inner = AddChild<TControlProbe>(L"Inner", {5, 5, 20, 20}, panel);
    panel->SetOnExit(TNotifyEvent::Bind<&TExitRecorder::Exited>(&exits));
    inner->SetOnExit(TNotifyEvent::Bind<&TExitRecorder::Exited>(&exits));
    inner->SetFocus();
    ASSERT_TRUE(inner->Focused());

    rtl::Free(c.FreeParent ? panel : inner);

    EXPECT_EQ(FHost->GetFocusedControl(), c.FreeParent ? static_cast<TWinControl*>(FHost.get()) : panel);
    // The focus stays inside the panel that stays: nobody exits.
    ExpectSequence({}, exits.Names);
    if (!c.FreeParent)
      rtl::Free(panel);
  }
}

// An in-place editor that frees itself as the focus leaves it: its parents
// still hear that the focus left them.
TEST_F(ControlsTest, AControlFreedInItsOnExitLeavesTheExitsOfItsParents)
{
  FHost->Show();
  SetForegroundWindow(FHost->GetHandle());
  struct TFreeingExits : TExitRecorder {
    void ExitedAndFree(TObject* ASender)
    {
      Exited(ASender);
      rtl::Free(ASender);
    }
  } exits;
  TControlProbe* left = AddChild<TControlProbe>(L"Left", {0, 0, 90, 90});
  TControlProbe* editor = AddChild<TControlProbe>(L"Editor", {5, 5, 20, 20}, left);
  TControlProbe* right = AddChild<TControlProbe>(L"Right", {100, 0, 190, 90});
  left->SetOnExit(TNotifyEvent::Bind<&TExitRecorder::Exited>(&exits));
  editor->SetOnExit(TNotifyEvent::Bind<&TFreeingExits::ExitedAndFree>(&exits));
  editor->SetFocus();
  ASSERT_TRUE(editor->Focused());

  right->SetFocus();

  ExpectSequence({L"Editor", L"Left"}, exits.Names);
  EXPECT_EQ(left->GetControlCount(), 0);
  EXPECT_EQ(FHost->GetFocusedControl(), right);
}

// A focused control that is hidden or disabled can no longer hold the
// focus: it goes to the top-level control, and the control hears CM_EXIT
// (an editor posts its value there), and the keys still reach the form.
TEST_F(ControlsTest, HidingOrDisablingTheFocusedControlMovesTheFocusOutWithAnExit)
{
  FHost->Show();
  SetForegroundWindow(FHost->GetHandle());
  TExitRecorder exits;
  const struct {
    const char* Name;
    void (*Change)(TControl*);
  } cases[] = {
      {"hidden", [](TControl* AControl) { AControl->Hide(); }},
      {"disabled", [](TControl* AControl) { AControl->SetEnabled(false); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    exits.Names.clear();
    TControlProbe* panel = AddChild<TControlProbe>(L"Panel", {0, 0, 90, 90});
    TControlProbe* inner = AddChild<TControlProbe>(L"Inner", {5, 5, 20, 20}, panel);
    panel->SetOnExit(TNotifyEvent::Bind<&TExitRecorder::Exited>(&exits));
    inner->SetOnExit(TNotifyEvent::Bind<&TExitRecorder::Exited>(&exits));
    inner->SetFocus();
    ASSERT_TRUE(inner->Focused());

    c.Change(panel);

    ExpectSequence({L"Inner", L"Panel"}, exits.Names);
    EXPECT_EQ(GetFocus(), FHost->GetHandle());
    EXPECT_EQ(FHost->GetFocusedControl(), FHost.get());
    rtl::Free(panel);
  }
}

TEST_F(ControlsTest, TabOrderFollowsInsertionAndCanBeChanged)
{
  FHost->Show();
  TControlProbe* a = AddChild<TControlProbe>(L"A", {0, 0, 10, 10});
  TControlProbe* b = AddChild<TControlProbe>(L"B", {0, 0, 10, 10});
  TControlProbe* c = AddChild<TControlProbe>(L"C", {0, 0, 10, 10});
  for (TControlProbe* p : {a, b, c})
    p->SetTabStop(true);
  EXPECT_EQ(a->GetTabOrder(), 0);
  EXPECT_EQ(c->GetTabOrder(), 2);
  c->SetTabOrder(0);
  EXPECT_EQ(a->GetTabOrder(), 1);
  c->SetTabOrder(99);  // clamped to the last place
  EXPECT_EQ(c->GetTabOrder(), 2);
  EXPECT_EQ(FHost->FindNextControl(a, true, true, false), b);
  EXPECT_EQ(FHost->FindNextControl(c, true, true, false), a);
  EXPECT_EQ(FHost->FindNextControl(a, false, true, false), c);
  b->SetTabStop(false);
  EXPECT_EQ(FHost->FindNextControl(a, true, true, false), c);
}

// ---------------------------------------------------------------------------
// Keys

TEST_F(ControlsTest, KeysAreOfferedAsCNMessagesFirst)
{
  FHost->Show();
  TControlProbe* child = AddChild<TControlProbe>(L"Child", {0, 0, 10, 10});
  struct TKeys {
    std::vector<WORD> Down;
    void KeyDown(TObject*, WORD& AKey, TShiftState)
    {
      Down.push_back(AKey);
      if (AKey == 'X')
        AKey = 0;
    }
  } keys;
  child->SetOnKeyDown(TKeyEvent::Bind<&TKeys::KeyDown>(&keys));
  MSG msg{child->GetHandle(), WM_KEYDOWN, 'A', 0, 0, {}};
  // Nobody takes an ordinary key in CN_KEYDOWN: it goes on as WM_KEYDOWN.
  EXPECT_FALSE(IsKeyMsg(msg));
  DispatchMessageW(&msg);
  EXPECT_EQ(keys.Down, std::vector<WORD>{'A'});
  SendMessageW(child->GetHandle(), WM_KEYDOWN, 'X', 0);
  EXPECT_EQ(keys.Down.size(), 2u);
}

// Tab is a dialog key: the focused control's CN_KEYDOWN offers it to the
// top-level control as CM_DIALOGKEY, which its children may take.
class TDialogKeyTaker : public TControlProbe {
  RTL_CLASS(TDialogKeyTaker, TControlProbe)
  RTL_MESSAGES(RTL_MESSAGE(CM_DIALOGKEY, CMDialogKey))

 public:
  int Taken = 0;

 private:
  void CMDialogKey(TCMDialogKey& AMessage)
  {
    if (AMessage.CharCode == VK_TAB) {
      ++Taken;
      AMessage.Result = 1;
    }
  }
};

TEST_F(ControlsTest, DialogKeysAreOfferedToTheTopLevelControl)
{
  FHost->Show();
  TControlProbe* child = AddChild<TControlProbe>(L"Child", {0, 0, 10, 10});
  TDialogKeyTaker* taker = AddChild<TDialogKeyTaker>(L"Taker", {20, 0, 30, 10});
  MSG tab{child->GetHandle(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_TRUE(IsKeyMsg(tab));
  EXPECT_EQ(taker->Taken, 1);
  MSG letter{child->GetHandle(), WM_KEYDOWN, 'Q', 0, 0, {}};
  EXPECT_FALSE(IsKeyMsg(letter));
  EXPECT_EQ(taker->Taken, 1);
}

// ---------------------------------------------------------------------------
// Streaming

TEST_F(ControlsTest, ColoursCursorsAndAnchorsStreamByName)
{
  const char text[] =
      "object Host: THost\n"
      "  Left = 0\n"
      "  Top = 0\n"
      "  Width = 120\n"
      "  Height = 80\n"
      "  Color = clBtnFace\n"
      "  Cursor = crHandPoint\n"
      "  Font.Color = clHighlight\n"
      "  object Child: TControlProbe\n"
      "    Left = 10\n"
      "    Top = 20\n"
      "    Width = 30\n"
      "    Height = 40\n"
      "    Anchors = [akRight, akBottom]\n"
      "    Color = 123456\n"
      "    TabOrder = 0\n"
      "  end\n"
      "end\n";
  rtl::RegisterClasses({rtl::TPersistentClass::Of<THost>(), rtl::TPersistentClass::Of<TControlProbe>()});
  rtl::TOwnedPtr<rtl::TMemoryStream> source(rtl::New<rtl::TMemoryStream>());
  source->WriteBuffer(text, sizeof(text) - 1);
  source->SetPosition(0);
  rtl::TOwnedPtr<rtl::TMemoryStream> binary(rtl::New<rtl::TMemoryStream>());
  rtl::ObjectTextToBinary(source.get(), binary.get());
  binary->SetPosition(0);

  FHost.reset(static_cast<THost*>(rtl::ReadComponent(binary.get(), nullptr)));
  ASSERT_NE(FHost, nullptr);
  EXPECT_EQ(FHost->GetColor(), clBtnFace);
  EXPECT_EQ(FHost->GetCursor(), crHandPoint);
  EXPECT_EQ(FHost->GetFont()->GetColor(), clHighlight);
  ASSERT_EQ(FHost->GetControlCount(), 1);
  TControl* child = FHost->GetControls(0);
  EXPECT_EQ(child->GetName(), L"Child");
  EXPECT_EQ(child->GetParent(), FHost.get());
  EXPECT_EQ(child->GetColor(), 123456);
  EXPECT_EQ(child->GetAnchors(), (TAnchors{akRight, akBottom}));
  // The child's font came from its parent.
  EXPECT_EQ(child->GetFont()->GetColor(), clHighlight);

  // Written back, named values stay names.
  rtl::TOwnedPtr<rtl::TMemoryStream> written(rtl::New<rtl::TMemoryStream>());
  rtl::WriteComponent(written.get(), FHost.get());
  written->SetPosition(0);
  rtl::TOwnedPtr<rtl::TMemoryStream> back(rtl::New<rtl::TMemoryStream>());
  rtl::ObjectBinaryToText(written.get(), back.get());
  const std::string result(static_cast<const char*>(back->Memory()), static_cast<std::size_t>(back->GetSize()));
  EXPECT_NE(result.find("Color = clBtnFace"), std::string::npos) << result;
  EXPECT_NE(result.find("Cursor = crHandPoint"), std::string::npos) << result;
  EXPECT_NE(result.find("Color = 123456"), std::string::npos) << result;
  EXPECT_NE(result.find("Anchors = [akRight, akBottom]"), std::string::npos) << result;
  // An identifier that names no colour is a read error.
  const char wrong[] = "object Host: THost\n  Color = clNoSuchColour\nend\n";
  rtl::TOwnedPtr<rtl::TMemoryStream> wrongText(rtl::New<rtl::TMemoryStream>());
  wrongText->WriteBuffer(wrong, sizeof(wrong) - 1);
  wrongText->SetPosition(0);
  rtl::TOwnedPtr<rtl::TMemoryStream> wrongBinary(rtl::New<rtl::TMemoryStream>());
  rtl::ObjectTextToBinary(wrongText.get(), wrongBinary.get());
  wrongBinary->SetPosition(0);
  EXPECT_THROW(rtl::ReadComponent(wrongBinary.get(), nullptr), rtl::EReadError);

  // The child's font is its parent's: only the parent stores one.
  EXPECT_EQ(result.find("Font.Color"), result.rfind("Font.Color")) << result;
}

}  // namespace
}  // namespace vcl
