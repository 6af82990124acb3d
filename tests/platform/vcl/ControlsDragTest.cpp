// Drag and drop, docking and the context popup of controls, driven by mouse
// and key messages sent straight to the windows (the real pointer is never
// moved: other programs share the display).
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/vcl/Controls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/ImgList.h"
#include "platform/vcl/Menus.h"
#include "tests/support/TestHost.h"
#include "tests/support/TestSupport.h"

using enum vcl::TControlStyleItem;
using enum vcl::TDragKind;
using enum vcl::TDragMode;
using enum vcl::TDragState;

namespace vcl {
namespace {

using rtl::String;

std::vector<String>& DragLog()
{
  static std::vector<String> log;
  return log;
}

String NameOf(const rtl::TObject* AObject)
{
  if (!AObject)
    return L"nil";
  if (rtl::Is<rtl::TComponent>(AObject))
    return static_cast<const rtl::TComponent*>(AObject)->GetName();
  return AObject->ClassName();
}

String PointText(int X, int Y)
{
  return std::to_wstring(X) + L"," + std::to_wstring(Y);
}

// Prints both sequences numbered when they differ.
void ExpectLog(const std::vector<String>& AExpected, const char* ACase = "")
{
  kvtest::ExpectSequence(AExpected, DragLog(), ACase);
}

// The handlers of every event under test; each writes one log line.
class TControlsDragTestEvents : public rtl::TObject {
  RTL_CLASS(TControlsDragTestEvents, rtl::TObject)

 public:
  bool Accept = true;
  bool HandleContextPopup = false;
  TDragObject* SuppliedObject = nullptr;
  // OnStartDrag refuses: frees the object it supplied (leaving the
  // variable as it was) and cancels the drag.
  bool RefuseStart = false;
  // A control freed by the handler of the last leave, or of the drop.
  rtl::TObject* FreeOnLeave = nullptr;
  rtl::TObject* FreeOnDrop = nullptr;

  void StartDrag(TObject* ASender, TDragObject*& ADragObject)
  {
    DragLog().push_back(NameOf(ASender) + L":StartDrag");
    ADragObject = SuppliedObject;
    if (RefuseStart) {
      rtl::Free(SuppliedObject);
      SuppliedObject = nullptr;
      CancelDrag();
    }
  }
  void DragOver(TObject* ASender, TObject* ASource, int X, int Y, TDragState AState, bool& AAccept)
  {
    static const wchar_t* const states[] = {L"enter", L"leave", L"move"};
    DragLog().push_back(NameOf(ASender) + L":DragOver(" + states[AState] + L"," + NameOf(ASource) + L"," +
                        PointText(X, Y) + L")");
    AAccept = Accept;
    if (AState == dsDragLeave && FreeOnLeave)
      rtl::Free(std::exchange(FreeOnLeave, nullptr));
  }
  void DragDrop(TObject* ASender, TObject* ASource, int X, int Y)
  {
    DragLog().push_back(NameOf(ASender) + L":DragDrop(" + NameOf(ASource) + L"," + PointText(X, Y) + L")");
    if (FreeOnDrop)
      rtl::Free(std::exchange(FreeOnDrop, nullptr));
  }
  void EndDrag(TObject* ASender, TObject* ATarget, int X, int Y)
  {
    DragLog().push_back(NameOf(ASender) + L":EndDrag(" + NameOf(ATarget) + L"," + PointText(X, Y) + L")");
  }
  void StartDock(TObject* ASender, TDragDockObject*& /*ADragObject*/)
  {
    DragLog().push_back(NameOf(ASender) + L":StartDock");
  }
  void EndDock(TObject* ASender, TObject* ATarget, int /*X*/, int /*Y*/)
  {
    DragLog().push_back(NameOf(ASender) + L":EndDock(" + NameOf(ATarget) + L")");
  }
  void DockDrop(TObject* ASender, TDragDockObject* ASource, int /*X*/, int /*Y*/)
  {
    DragLog().push_back(NameOf(ASender) + L":DockDrop(" + NameOf(ASource->GetControl()) + L")");
  }
  void UnDock(TObject* ASender, TControl* AClient, TWinControl* ANewTarget, bool& AAllow)
  {
    DragLog().push_back(NameOf(ASender) + L":UnDock(" + NameOf(AClient) + L"," + NameOf(ANewTarget) + L")");
    AAllow = Accept;
  }
  void ContextPopup(TObject* ASender, TPoint AMousePos, bool& AHandled)
  {
    DragLog().push_back(NameOf(ASender) + L":ContextPopup(" + PointText(AMousePos.x, AMousePos.y) + L")");
    AHandled = HandleContextPopup;
  }
};

// A windowed control; a dock site logs the notifications of its clients.
class TControlsDragTestBox : public TCustomControl {
  RTL_CLASS(TControlsDragTestBox, TCustomControl)
  RTL_PUBLISHED(RTL_PUBLISH(DockSite), RTL_PUBLISH(DragMode), RTL_PUBLISH(PopupMenu), RTL_PUBLISH(OnContextPopup))
  RTL_MESSAGES(RTL_MESSAGE(CM_DOCKNOTIFICATION, CMDockNotification),
               RTL_MESSAGE(CM_UNDOCKCLIENT, CMUnDockClient))

 public:
  TDragImageList* Images = nullptr;
  bool FailImages = false;
  bool FailDock = false;
  TDragImageList* GetDragImages() override
  {
    if (FailImages)
      throw rtl::EInvalidOperation(L"no images");
    return Images;
  }

 protected:
  void DoAddDockClient(TControl* AClient, const TRect& ARect) override
  {
    if (FailDock)
      throw rtl::EInvalidOperation(L"no room");
    inherited::DoAddDockClient(AClient, ARect);
  }

 private:
  void CMDockNotification(TCMDockNotification& AMessage)
  {
    const TDockNotifyRec& rec = *AMessage.NotifyRec;
    String what = L"?";
    if (rec.ClientMsg == WM_SETTEXT)
      what = String(L"text ") + reinterpret_cast<const wchar_t*>(rec.MsgLParam);
    else if (rec.ClientMsg == CM_VISIBLECHANGED)
      what = rec.MsgWParam ? L"visible" : L"hidden";
    DragLog().push_back(GetName() + L":DockNotification(" + NameOf(AMessage.Client) + L"," + what + L")");
  }
  void CMUnDockClient(TCMUnDockClient& AMessage)
  {
    DragLog().push_back(GetName() + L":CM_UNDOCKCLIENT(" + NameOf(AMessage.Client) + L")");
    rtl::InheritedMessage(this, AMessage);
  }
};

class TControlsDragTestShape : public TGraphicControl {
  RTL_CLASS(TControlsDragTestShape, TGraphicControl)
};

// Answers for the user: records where and for whom the menu was shown.
class TControlsDragTestPopupMenu : public TPopupMenu {
  RTL_CLASS(TControlsDragTestPopupMenu, TPopupMenu)

 public:
  void Create(rtl::TComponent* AOwner) override
  {
    inherited::Create(AOwner);
    TMenuItem* item = rtl::New<TMenuItem>(this);
    item->SetCaption(L"Item");
    GetItems()->Add(item);
  }

 protected:
  UINT TrackMenu(HMENU /*AMenu*/, UINT /*AFlags*/, int X, int Y, HWND /*AWindow*/) override
  {
    DragLog().push_back(GetName() + L":Popup(" + NameOf(GetPopupComponent()) + L"," + PointText(X, Y) + L")");
    return 0;
  }
};

LPARAM PointParam(const TPoint& APoint)
{
  return MAKELPARAM(static_cast<WORD>(APoint.x), static_cast<WORD>(APoint.y));
}

// A host at (100, 100) holding a source box, a target box and a
// non-windowed target; the mouse settings are the framework's defaults
// again afterwards.
class ControlsDragTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    DragLog().clear();
    Mouse()->SetDragThreshold(5);
    Mouse()->SetDragImmediate(false);
    FEvents.reset(rtl::New<TControlsDragTestEvents>());
    FHost.reset(rtl::New<kvtest::TTestHost>(nullptr));
    FHost->SetName(L"Host");
    FHost->SetBounds(100, 100, 400, 200);
    FSource = AddChild<TControlsDragTestBox>(L"Source", {10, 10, 110, 70});
    FTarget = AddChild<TControlsDragTestBox>(L"Target", {200, 10, 300, 70});
    FShape = AddChild<TControlsDragTestShape>(L"Shape", {200, 100, 300, 150});
    FSource->SetDragMode(dmAutomatic);
    FSource->SetOnStartDrag(TStartDragEvent::Bind<&TControlsDragTestEvents::StartDrag>(FEvents.get()));
    FSource->SetOnEndDrag(TEndDragEvent::Bind<&TControlsDragTestEvents::EndDrag>(FEvents.get()));
    for (TControl* target : {static_cast<TControl*>(FTarget), static_cast<TControl*>(FShape)}) {
      target->SetOnDragOver(TDragOverEvent::Bind<&TControlsDragTestEvents::DragOver>(FEvents.get()));
      target->SetOnDragDrop(TDragDropEvent::Bind<&TControlsDragTestEvents::DragDrop>(FEvents.get()));
    }
    FHost->Show();
    kvtest::PumpMessages();
  }
  void TearDown() override
  {
    CancelDrag();
    FHost.reset();
    FEvents.reset();
    Mouse()->SetDragImmediate(true);
    kvtest::PumpMessages();
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

  // The synthesized mouse: a press goes to the control's window, the rest
  // to whichever window holds the capture, as Windows routes them.
  void Press(TWinControl* AControl, TPoint AClientPos)
  {
    SendMessageW(AControl->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, PointParam(AClientPos));
  }
  void MoveTo(TControl* AControl, TPoint AClientPos) { MoveToScreen(AControl->ClientToScreen(AClientPos)); }
  void MoveToScreen(TPoint AScreenPos)
  {
    HWND capture = GetCapture();
    ASSERT_NE(capture, nullptr);
    ScreenToClient(capture, &AScreenPos);
    SendMessageW(capture, WM_MOUSEMOVE, MK_LBUTTON, PointParam(AScreenPos));
  }
  void Release(UINT AMsg = WM_LBUTTONUP)
  {
    HWND capture = GetCapture();
    ASSERT_NE(capture, nullptr);
    SendMessageW(capture, AMsg, 0, 0);
  }

  rtl::TOwnedPtr<TControlsDragTestEvents> FEvents;
  rtl::TOwnedPtr<kvtest::TTestHost> FHost;
  TControlsDragTestBox* FSource = nullptr;
  TControlsDragTestBox* FTarget = nullptr;
  TControlsDragTestShape* FShape = nullptr;
};

// ---------------------------------------------------------------------------
// Drag and drop

TEST_F(ControlsDragTest, AnAutomaticDragReachesTheTargetUnderTheMouseAndEndsThere)
{
  struct TCase {
    const char* Name;
    bool Shape;  // the non-windowed target, else the windowed one
    bool Accept;
    std::vector<String> Expected;
  };
  const TCase cases[] = {
      {"windowed target accepts",
       false,
       true,
       {L"Source:StartDrag", L"Target:DragOver(enter,Source,20,30)", L"Target:DragOver(move,Source,20,30)",
        L"Target:DragOver(move,Source,40,35)", L"Target:DragOver(leave,Source,40,35)",
        L"Target:DragDrop(Source,40,35)", L"Source:EndDrag(Target,40,35)"}},
      {"windowed target refuses",
       false,
       false,
       {L"Source:StartDrag", L"Target:DragOver(enter,Source,20,30)", L"Target:DragOver(move,Source,20,30)",
        L"Target:DragOver(move,Source,40,35)", L"Target:DragOver(leave,Source,40,35)", L"Source:EndDrag(nil,0,0)"}},
      {"non-windowed target accepts",
       true,
       true,
       {L"Source:StartDrag", L"Shape:DragOver(enter,Source,20,30)", L"Shape:DragOver(move,Source,20,30)",
        L"Shape:DragOver(move,Source,40,35)", L"Shape:DragOver(leave,Source,40,35)", L"Shape:DragDrop(Source,40,35)",
        L"Source:EndDrag(Shape,40,35)"}},
  };
  for (const TCase& c : cases) {
    DragLog().clear();
    FEvents->Accept = c.Accept;
    TControl* target = c.Shape ? static_cast<TControl*>(FShape) : FTarget;
    Press(FSource, {10, 10});
    EXPECT_TRUE(FSource->Dragging()) << c.Name;
    EXPECT_EQ(GetCapture(), detail::DragCaptureWindow()) << c.Name << ": the drag holds the mouse";
    MoveTo(target, {20, 30});
    MoveTo(target, {40, 35});
    // The cursor tells whether the target would take the drop.
    EXPECT_EQ(GetCursor(), Screen()->GetCursors(c.Accept ? crDrag : crNoDrop)) << c.Name;
    Release();
    EXPECT_FALSE(FSource->Dragging()) << c.Name;
    EXPECT_EQ(detail::DragCaptureWindow(), nullptr) << c.Name;
    ExpectLog(c.Expected, c.Name);
  }
}

TEST_F(ControlsDragTest, EscapeOrTheRightButtonCancelsTheDrag)
{
  struct TCase {
    const char* Name;
    bool Escape;
  };
  const std::vector<String> expected = {L"Source:StartDrag", L"Target:DragOver(enter,Source,20,30)",
                                        L"Target:DragOver(move,Source,20,30)",
                                        L"Target:DragOver(leave,Source,20,30)", L"Source:EndDrag(nil,0,0)"};
  for (const TCase& c : {TCase{"Esc", true}, TCase{"right button", false}}) {
    DragLog().clear();
    Press(FSource, {10, 10});
    MoveTo(FTarget, {20, 30});
    if (c.Escape) {
      // As the message loop offers it: the key goes to the focused window,
      // and IsKeyMsg hands it to the drag.
      MSG msg{FSource->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 0x00010001, 0, {}};
      EXPECT_TRUE(IsKeyMsg(msg)) << "the drag took the key";
    } else {
      Release(WM_RBUTTONDOWN);
    }
    EXPECT_FALSE(FSource->Dragging()) << c.Name;
    EXPECT_NE(GetCapture(), FSource->GetHandle()) << c.Name;
    ExpectLog(expected, c.Name);
  }
}

TEST_F(ControlsDragTest, WithoutImmediateStartTheDragWaitsForTheMouseToLeaveTheThreshold)
{
  Press(FSource, {10, 10});
  ASSERT_TRUE(FSource->Dragging());
  MoveTo(FSource, {14, 6});  // 4 pixels: inside the threshold of 5
  ExpectLog({L"Source:StartDrag"}, "inside the threshold");
  MoveTo(FTarget, {20, 30});
  ExpectLog({L"Source:StartDrag", L"Target:DragOver(enter,Source,20,30)", L"Target:DragOver(move,Source,20,30)"},
            "past the threshold");
  FSource->EndDrag(false);
}

TEST_F(ControlsDragTest, ASuppliedDragObjectIsTheSourceAndStaysItsOwners)
{
  // BeginDrag starts where the real pointer is; the moves are relative to
  // that, and the object tells how far the drag went.
  rtl::TOwnedPtr<TDragControlObject> object(rtl::New<TDragControlObject>(FSource));
  FEvents->SuppliedObject = object.get();
  FSource->SetDragMode(dmManual);
  const TPoint start = Mouse()->GetCursorPos();
  FSource->BeginDrag(false, 20);
  ASSERT_TRUE(FSource->Dragging());
  MoveToScreen({start.x + 10, start.y + 10});
  EXPECT_EQ(object->GetDragPos().x, start.x) << "inside the threshold nothing moves";
  MoveToScreen({start.x + 25, start.y});
  EXPECT_EQ(object->GetDragPos().x, start.x + 25) << "past the threshold the drag follows";
  // Over the target, the handlers see the object as the source. (The
  // pointer may have been anywhere: an empty spot of the host first.)
  MoveTo(FHost.get(), {350, 180});
  DragLog().clear();
  MoveTo(FTarget, {20, 30});
  FSource->EndDrag(true);
  ExpectLog({L"Target:DragOver(enter,TDragControlObject,20,30)",
             L"Target:DragOver(move,TDragControlObject,20,30)", L"Target:DragOver(leave,TDragControlObject,20,30)",
             L"Target:DragDrop(TDragControlObject,20,30)", L"Source:EndDrag(Target,20,30)"});
  EXPECT_TRUE(object->GetDropped());
  EXPECT_EQ(object->GetDragTarget(), FTarget) << "the object outlives the drag";
}

TEST_F(ControlsDragTest, TheDragImageFollowsTheMouseOnlyOverControlsThatShowIt)
{
  rtl::TOwnedPtr<TDragImageList> images(rtl::New<TDragImageList>(nullptr));
  rtl::TOwnedPtr<TBitmap> bitmap(rtl::New<TBitmap>());
  bitmap->SetSize(16, 16);
  ASSERT_EQ(images->Add(bitmap.get(), nullptr), 0);
  ASSERT_TRUE(images->SetDragImage(0, 0, 0));
  FSource->Images = images.get();
  FShape->SetControlStyle(FShape->GetControlStyle() + TControlStyle{csDisplayDragImage});
  Press(FSource, {10, 10});
  MoveTo(FTarget, {20, 30});
  EXPECT_FALSE(images->GetDragging()) << "the target does not show drag images";
  MoveTo(FShape, {20, 30});
  EXPECT_TRUE(images->GetDragging()) << "the shape shows them";
  Release();
  EXPECT_FALSE(images->GetDragging()) << "the image goes with the drag";
}

// Regression: the drag kept pointers to a freed source or target and used
// them at the next step.
TEST_F(ControlsDragTest, AControlFreedDuringTheDragLeavesNothingBehind)
{
  Press(FSource, {10, 10});
  MoveTo(FTarget, {20, 30});
  rtl::Free(FTarget);
  FTarget = nullptr;
  MoveTo(FHost.get(), {350, 20});
  EXPECT_TRUE(FSource->Dragging()) << "the target going does not end the drag";
  rtl::Free(FSource);
  FSource = nullptr;
  EXPECT_EQ(detail::DragCaptureWindow(), nullptr) << "the source going ends it";
  EXPECT_EQ(GetCapture(), nullptr);
}

// A handler that refuses the drag as it starts (frees its own object and
// cancels) stops it before anything else happens; the next press drags.
TEST_F(ControlsDragTest, CancelDragInOnStartDragStopsTheDragBeforeItRuns)
{
  for (const bool supplied : {false, true}) {
    const char* name = supplied ? "own object freed" : "no object";
    DragLog().clear();
    FEvents->RefuseStart = true;
    FEvents->SuppliedObject = supplied ? rtl::New<TDragControlObject>(FSource) : nullptr;
    Press(FSource, {10, 10});
    EXPECT_FALSE(FSource->Dragging()) << name;
    EXPECT_EQ(detail::DragCaptureWindow(), nullptr) << name;
    ExpectLog({L"Source:StartDrag"}, name);

    FEvents->RefuseStart = false;
    Press(FSource, {10, 10});
    EXPECT_TRUE(FSource->Dragging()) << name << ": a later press drags";
    FSource->EndDrag(false);
  }
}

// Regression: the end of the drag used the source, target or drag object
// it had read before the handlers ran, after a handler had freed it.
TEST_F(ControlsDragTest, WhatAHandlerOfTheEndFreesIsNotUsedAfter)
{
  enum class TVictim { Source, Target, Object };
  struct TCase {
    const char* Name;
    TVictim Victim;
    bool OnLeave;  // else in OnDragDrop
    std::vector<String> Expected;
  };
  const auto with = [](const wchar_t* ASource, std::vector<String> ATail) {
    const String source = ASource;
    std::vector<String> all = {L"Source:StartDrag", L"Target:DragOver(enter," + source + L",20,30)",
                               L"Target:DragOver(move," + source + L",20,30)",
                               L"Target:DragOver(leave," + source + L",20,30)"};
    all.insert(all.end(), ATail.begin(), ATail.end());
    return all;
  };
  const TCase cases[] = {
      {"drop frees the source", TVictim::Source, false, with(L"Source", {L"Target:DragDrop(Source,20,30)"})},
      {"drop frees the target", TVictim::Target, false,
       with(L"Source", {L"Target:DragDrop(Source,20,30)", L"Source:EndDrag(nil,20,30)"})},
      {"leave frees the target: no drop", TVictim::Target, true, with(L"Source", {L"Source:EndDrag(nil,0,0)"})},
      {"drop frees the supplied object", TVictim::Object, false,
       with(L"TDragControlObject", {L"Target:DragDrop(TDragControlObject,20,30)"})},
  };
  for (const TCase& c : cases) {
    // Each case frees something: a fresh set for each.
    SetUp();
    rtl::TObject* victim = FTarget;
    if (c.Victim == TVictim::Source)
      victim = FSource;
    if (c.Victim == TVictim::Object)
      victim = FEvents->SuppliedObject = rtl::New<TDragControlObject>(FSource);
    (c.OnLeave ? FEvents->FreeOnLeave : FEvents->FreeOnDrop) = victim;
    Press(FSource, {10, 10});
    MoveTo(FTarget, {20, 30});
    Release();
    if (c.Victim == TVictim::Source)
      FSource = nullptr;
    if (c.Victim == TVictim::Target)
      FTarget = nullptr;
    EXPECT_EQ(detail::DragCaptureWindow(), nullptr) << c.Name;
    ExpectLog(c.Expected, c.Name);
    TearDown();
  }
}

// Regression: an exception while the drag was being set up left it half
// begun: Dragging stayed true and no other drag could start.
TEST_F(ControlsDragTest, AnExceptionWhileTheDragStartsLeavesNoDragBehind)
{
  FSource->FailImages = true;
  EXPECT_THROW(FSource->BeginDrag(true), rtl::EInvalidOperation);
  EXPECT_FALSE(FSource->Dragging());
  EXPECT_EQ(detail::DragCaptureWindow(), nullptr);
  FSource->FailImages = false;
  FSource->BeginDrag(false);
  EXPECT_TRUE(FSource->Dragging());
  FSource->EndDrag(false);
}

// ---------------------------------------------------------------------------
// Docking

TEST_F(ControlsDragTest, ADockDragMovesTheControlIntoTheDockSiteUnderTheMouse)
{
  TControlsDragTestBox* site = AddChild<TControlsDragTestBox>(L"Site", {10, 100, 150, 190});
  site->SetDockSite(true);
  site->SetOnDockDrop(TDockDropEvent::Bind<&TControlsDragTestEvents::DockDrop>(FEvents.get()));
  FSource->SetDragKind(dkDock);
  FSource->SetOnStartDock(TStartDockEvent::Bind<&TControlsDragTestEvents::StartDock>(FEvents.get()));
  FSource->SetOnEndDock(TEndDragEvent::Bind<&TControlsDragTestEvents::EndDock>(FEvents.get()));
  Press(FSource, {10, 10});
  MoveTo(FTarget, {20, 30});  // no dock site there
  MoveTo(site, {20, 30});
  Release();
  ExpectLog({L"Source:StartDock", L"Site:DockDrop(Source)", L"Source:EndDock(Site)"});
  EXPECT_EQ(FSource->GetParent(), site);
  EXPECT_EQ(FSource->GetHostDockSite(), site);
  ASSERT_EQ(site->GetDockClientCount(), 1);
  EXPECT_EQ(site->GetDockClients(0), FSource);

  DragLog().clear();
  FSource->SetText(L"Docked");
  FSource->Hide();
  ExpectLog({L"Site:DockNotification(Source,text Docked)", L"Site:DockNotification(Source,hidden)"});
}

TEST_F(ControlsDragTest, ManualDockLeavesTheOldSiteUnlessItRefuses)
{
  TControlsDragTestBox* first = AddChild<TControlsDragTestBox>(L"First", {10, 100, 150, 190});
  TControlsDragTestBox* second = AddChild<TControlsDragTestBox>(L"Second", {200, 100, 350, 190});
  for (TControlsDragTestBox* site : {first, second}) {
    site->SetDockSite(true);
    site->SetOnUnDock(TUnDockEvent::Bind<&TControlsDragTestEvents::UnDock>(FEvents.get()));
  }
  EXPECT_FALSE(FSource->ManualDock(FTarget)) << "not a dock site";
  ASSERT_TRUE(FSource->ManualDock(first));
  EXPECT_EQ(FSource->GetParent(), first);

  DragLog().clear();
  FEvents->Accept = false;
  EXPECT_FALSE(FSource->ManualDock(second));
  EXPECT_EQ(FSource->GetHostDockSite(), first);
  FEvents->Accept = true;
  EXPECT_TRUE(FSource->ManualDock(second));
  EXPECT_EQ(FSource->GetHostDockSite(), second);
  EXPECT_EQ(first->GetDockClientCount(), 0);
  ExpectLog({L"First:UnDock(Source,Second)", L"First:UnDock(Source,Second)", L"First:CM_UNDOCKCLIENT(Source)"});
}

// Regression: a site that failed to take the control still listed it as a
// client, and kept the pointer after the control was freed.
TEST_F(ControlsDragTest, ADockingThatFailsLeavesTheSitesAsTheyWere)
{
  TControlsDragTestBox* first = AddChild<TControlsDragTestBox>(L"First", {10, 100, 150, 190});
  TControlsDragTestBox* second = AddChild<TControlsDragTestBox>(L"Second", {200, 100, 350, 190});
  first->SetDockSite(true);
  second->SetDockSite(true);
  ASSERT_TRUE(FSource->ManualDock(first));
  second->FailDock = true;
  EXPECT_THROW(FSource->ManualDock(second), rtl::EInvalidOperation);
  EXPECT_EQ(second->GetDockClientCount(), 0);
  ASSERT_EQ(first->GetDockClientCount(), 1);
  EXPECT_EQ(first->GetDockClients(0), FSource);
  EXPECT_EQ(FSource->GetHostDockSite(), first);
}

// ---------------------------------------------------------------------------
// Context popup

TEST_F(ControlsDragTest, ContextMenuReachesOnContextPopupThenThePopupMenu)
{
  rtl::TOwnedPtr<TControlsDragTestPopupMenu> targetMenu(rtl::New<TControlsDragTestPopupMenu>(nullptr));
  rtl::TOwnedPtr<TControlsDragTestPopupMenu> hostMenu(rtl::New<TControlsDragTestPopupMenu>(nullptr));
  rtl::TOwnedPtr<TControlsDragTestPopupMenu> shapeMenu(rtl::New<TControlsDragTestPopupMenu>(nullptr));
  targetMenu->SetName(L"TargetMenu");
  hostMenu->SetName(L"HostMenu");
  shapeMenu->SetName(L"ShapeMenu");
  FTarget->SetPopupMenu(targetMenu.get());
  FHost->SetPopupMenu(hostMenu.get());
  FShape->SetPopupMenu(shapeMenu.get());
  for (TControl* control : {static_cast<TControl*>(FHost.get()), static_cast<TControl*>(FSource),
                            static_cast<TControl*>(FTarget), static_cast<TControl*>(FShape)})
    control->SetOnContextPopup(TContextPopupEvent::Bind<&TControlsDragTestEvents::ContextPopup>(FEvents.get()));

  // Screen points: the target's client (15, 25) is (315, 135); the shape's
  // (5, 6) is (305, 206); the source's origin is (110, 110).
  struct TCase {
    const char* Name;
    TWinControl* Window;
    TPoint ScreenPos;
    bool Handle;
    bool AutoPopup;
    std::vector<String> Expected;
  };
  const TCase cases[] = {
      {"mouse", FTarget, {315, 135}, false, true,
       {L"Target:ContextPopup(15,25)", L"TargetMenu:Popup(Target,315,135)"}},
      {"keyboard", FTarget, {-1, -1}, false, true,
       {L"Target:ContextPopup(-1,-1)", L"TargetMenu:Popup(Target,300,110)"}},
      {"handled", FTarget, {315, 135}, true, true, {L"Target:ContextPopup(15,25)"}},
      {"no menu of its own: the parent's", FSource, {130, 140}, false, true,
       {L"Source:ContextPopup(20,30)", L"Host:ContextPopup(30,40)", L"HostMenu:Popup(Host,130,140)"}},
      {"keyboard, the parent's menu", FSource, {-1, -1}, false, true,
       {L"Source:ContextPopup(-1,-1)", L"Host:ContextPopup(-1,-1)", L"HostMenu:Popup(Host,100,100)"}},
      {"non-windowed child", FHost.get(), {305, 206}, false, true,
       {L"Shape:ContextPopup(5,6)", L"ShapeMenu:Popup(Shape,305,206)"}},
      // Regression: the parent heard an unanswered request twice, once from
      // the framework and once from DefWindowProc.
      {"AutoPopup off", FTarget, {315, 135}, false, false,
       {L"Target:ContextPopup(15,25)", L"Host:ContextPopup(215,35)"}},
  };
  for (const TCase& c : cases) {
    DragLog().clear();
    FEvents->HandleContextPopup = c.Handle;
    targetMenu->SetAutoPopup(c.AutoPopup);
    hostMenu->SetAutoPopup(c.AutoPopup);
    const LPARAM pos = MAKELPARAM(static_cast<WORD>(c.ScreenPos.x), static_cast<WORD>(c.ScreenPos.y));
    SendMessageW(c.Window->GetHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(c.Window->GetHandle()), pos);
    ExpectLog(c.Expected, c.Name);
  }
}

TEST_F(ControlsDragTest, AFreedPopupMenuLeavesTheControl)
{
  TPopupMenu* menu = rtl::New<TPopupMenu>(nullptr);
  FTarget->SetPopupMenu(menu);
  rtl::Free(menu);
  EXPECT_EQ(FTarget->GetPopupMenu(), nullptr);
  // And the property streams like the other published ones.
  const rtl::TPropInfo* info = rtl::GetPropInfo(FTarget, L"PopupMenu");
  ASSERT_NE(info, nullptr);
  EXPECT_NE(rtl::GetPropInfo(FTarget, L"OnContextPopup"), nullptr);
  EXPECT_NE(rtl::GetPropInfo(FTarget, L"DragMode"), nullptr);
  EXPECT_NE(rtl::GetPropInfo(FTarget, L"DockSite"), nullptr);
}

}  // namespace
}  // namespace vcl
