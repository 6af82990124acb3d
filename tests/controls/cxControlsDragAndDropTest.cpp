#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/cxControls.h"
#include "graphics/cxGraphics.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/ImgList.h"
#include "tests/controls/ControlsTestSupport.h"
#include "tests/support/TestHost.h"

using enum TcxDragAndDropState;

namespace {

class TDragTestControl;

// What a drag-and-drop object of the tests does, set on its control before
// the object exists (the control creates it by class).
struct TDragTestBehaviour {
  bool ImmediateStart = false;
  bool TakesKeys = false;
  int ZoomFactor = 100;
};

class TDragTestControl : public TcxControl {
  RTL_CLASS(TDragTestControl, TcxControl)

 public:
  std::vector<std::string> Log;
  TDragTestBehaviour Behaviour;
  bool AllowStart = true;
  bool Copies = false;
  bool AllowFrameworkDrag = true;
  TSize DragImageSize{0, 0};

  using TcxControl::DragAndDrop;
  bool IsCopyDragDrop() override { return Copies; }
  bool StartDrag(vcl::TDragObject* /*ADragObject*/) override { return AllowFrameworkDrag; }

 protected:
  bool StartDragAndDrop(const TPoint& /*P*/) override { return AllowStart; }
  bool AllowUnfocusedMouseDown() override { return true; }
  bool NeedsScrollBars() override { return false; }
  bool HasDragImages() override { return true; }
  void GetDragImagesSize(TSize& ASize) override { ASize = DragImageSize; }
  void DrawDragImage(TcxCanvas* ACanvas, const TRect& R) override { ACanvas->FillRect(R, vcl::clRed); }
};

// Writes every step it takes into its control's log.
class TDragTestObject : public TcxDragAndDropObject {
  RTL_CLASS(TDragTestObject, TcxDragAndDropObject)

 public:
  void Create(TcxControl* AControl) override
  {
    inherited::Create(AControl);
    Write("create");
  }
  void Destroy() override
  {
    Write("destroy");
    inherited::Destroy();
  }
  bool GetImmediateStart() override { return Owner()->Behaviour.ImmediateStart; }
  int GetZoomFactor() override { return Owner()->Behaviour.ZoomFactor; }

 protected:
  TPoint GetClientCursorPos() override { return TPoint{8, 6}; }
  void BeginDragAndDrop() override
  {
    Write("begin " + Text(CurMousePos));
    inherited::BeginDragAndDrop();
  }
  void DragAndDrop(const TPoint& P, bool& AAccepted) override
  {
    Write("drag " + Text(P));
    AAccepted = true;
    inherited::DragAndDrop(P, AAccepted);
  }
  void EndDragAndDrop(bool AAccepted) override
  {
    Write(AAccepted ? "end accepted" : "end refused");
    inherited::EndDragAndDrop(AAccepted);
  }
  bool ProcessKeyDown(WORD AKey, vcl::TShiftState /*AShift*/) override
  {
    Write("key " + std::to_string(AKey));
    return Owner()->Behaviour.TakesKeys;
  }

 private:
  TDragTestControl* Owner() { return static_cast<TDragTestControl*>(GetControl()); }
  void Write(const std::string& AText) { Owner()->Log.push_back(AText); }
  static std::string Text(const TPoint& P) { return std::to_string(P.x) + "," + std::to_string(P.y); }
};

// Writes the steps of the base object with its control's own log.
enum class TDragTestStep { Down, Move, Up, RightDown, Escape, Key, CancelMode, CaptureElsewhere };

struct TDragTestInput {
  TDragTestStep Step;
  int X = 0;
  int Y = 0;
};

struct TDragTestCase {
  const char* Name;
  TDragTestBehaviour Behaviour;
  std::vector<TDragTestInput> Inputs;
  std::vector<std::string> Log;
  TcxDragAndDropState FinalState;
};

class cxControlsDragAndDropTest : public kvtest::THostedTest {
 protected:
  TDragTestControl* AddControl()
  {
    auto* control = AddChild<TDragTestControl>(TRect{0, 0, 200, 150});
    control->SetFocusOnClick(false);
    control->SetDragAndDropObjectClass(rtl::ClassOf<TcxDragAndDropObject>::Of<TDragTestObject>());
    control->HandleNeeded();
    return control;
  }

  void Send(TDragTestControl* AControl, const TDragTestInput& AInput)
  {
    const LPARAM at = MAKELPARAM(AInput.X, AInput.Y);
    switch (AInput.Step) {
      case TDragTestStep::Down:
        AControl->Perform(WM_LBUTTONDOWN, MK_LBUTTON, at);
        break;
      case TDragTestStep::Move:
        AControl->Perform(WM_MOUSEMOVE, MK_LBUTTON, at);
        break;
      case TDragTestStep::Up:
        AControl->Perform(WM_LBUTTONUP, 0, at);
        break;
      case TDragTestStep::RightDown:
        AControl->Perform(WM_RBUTTONDOWN, MK_RBUTTON | MK_LBUTTON, at);
        break;
      case TDragTestStep::Escape:
        AControl->Perform(rtl::CN_KEYDOWN, VK_ESCAPE, 0);
        break;
      case TDragTestStep::Key:
        AControl->Perform(rtl::CN_KEYDOWN, 'A', 0);
        break;
      case TDragTestStep::CancelMode:
        AControl->Perform(WM_CANCELMODE, 0, 0);
        break;
      case TDragTestStep::CaptureElsewhere:
        SetCapture(FHost->GetHandle());
        break;
    }
  }
};

using enum TDragTestStep;

// The pressed area is the platform's drag threshold (5 pixels) around the
// press at (10, 10).
const TDragTestCase kDragCases[] = {
    {"ReleaseInsideThresholdRunsNoStep", {}, {{Down, 10, 10}, {Move, 12, 12}, {Up, 12, 12}},
     {"create", "destroy"}, ddsNone},
    {"PressAloneWaits", {}, {{Down, 10, 10}}, {"create"}, ddsStarting},
    {"LeavingThePressedAreaBegins", {}, {{Down, 10, 10}, {Move, 30, 12}}, {"create", "begin 8,6"}, ddsInProcess},
    {"ReleaseAccepts",
     {},
     {{Down, 10, 10}, {Move, 30, 12}, {Move, 40, 20}, {Up, 40, 20}},
     {"create", "begin 8,6", "drag 40,20", "end accepted", "destroy"},
     ddsNone},
    {"EscapeRefuses",
     {},
     {{Down, 10, 10}, {Move, 30, 12}, {Escape}, {Up, 30, 12}},
     {"create", "begin 8,6", "key 27", "end refused", "destroy"},
     ddsNone},
    {"AnyKeyRefusedByTheObjectEndsIt",
     {},
     {{Down, 10, 10}, {Move, 30, 12}, {Key}},
     {"create", "begin 8,6", "key 65", "end refused", "destroy"},
     ddsNone},
    {"AKeyTheObjectTakesKeepsItRunning",
     {.TakesKeys = true},
     {{Down, 10, 10}, {Move, 30, 12}, {Key}, {Up, 30, 12}},
     {"create", "begin 8,6", "key 65", "end accepted", "destroy"},
     ddsNone},
    {"RightButtonWhileStartingEndsIt", {}, {{Down, 10, 10}, {RightDown, 10, 10}}, {"create", "destroy"}, ddsNone},
    {"RightButtonWhileRunningRefuses",
     {},
     {{Down, 10, 10}, {Move, 30, 12}, {RightDown, 30, 12}},
     {"create", "begin 8,6", "end refused", "destroy"},
     ddsNone},
    {"CancelModeRefuses",
     {},
     {{Down, 10, 10}, {Move, 30, 12}, {CancelMode}},
     {"create", "begin 8,6", "end refused", "destroy"},
     ddsNone},
    {"AnotherWindowTakingTheMouseRefuses",
     {},
     {{Down, 10, 10}, {Move, 30, 12}, {CaptureElsewhere}},
     {"create", "begin 8,6", "end refused", "destroy"},
     ddsNone},
    {"AnotherWindowTakingTheMouseWhileStartingEndsIt",
     {},
     {{Down, 10, 10}, {CaptureElsewhere}},
     {"create", "destroy"},
     ddsNone},
    {"ImmediateStartBeginsOnThePress",
     {.ImmediateStart = true},
     {{Down, 10, 10}, {Up, 10, 10}},
     {"create", "begin 8,6", "end accepted", "destroy"},
     ddsNone},
    {"ZoomHalvesThePositions",
     {.ZoomFactor = 200},
     {{Down, 10, 10}, {Move, 30, 12}, {Move, 41, 21}, {Up, 41, 21}},
     {"create", "begin 4,3", "drag 21,11", "end accepted", "destroy"},
     ddsNone},
};

TEST_F(cxControlsDragAndDropTest, RunsTheStatesFromTheMouseAndTheKeys)
{
  for (const TDragTestCase& c : kDragCases) {
    SCOPED_TRACE(c.Name);
    TDragTestControl* control = AddControl();
    control->Behaviour = c.Behaviour;
    for (const TDragTestInput& input : c.Inputs)
      Send(control, input);
    EXPECT_EQ(control->Log, c.Log);
    EXPECT_EQ(control->GetDragAndDropState(), c.FinalState);
    // A right press takes the mouse for itself.
    if (c.FinalState == ddsNone && c.Inputs.back().Step != RightDown) {
      EXPECT_NE(GetCapture(), control->GetHandle());
    }
    ReleaseCapture();
    rtl::Free(control);
  }
}

TEST_F(cxControlsDragAndDropTest, PressesOutsideAStartRunNothing)
{
  TDragTestControl* control = AddControl();
  control->AllowStart = false;
  control->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  control->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 60));
  control->Perform(WM_LBUTTONUP, 0, MAKELPARAM(60, 60));
  EXPECT_EQ(control->GetDragAndDropState(), ddsNone);
  EXPECT_TRUE(control->Log.empty());
}

// The cursor of a step follows the answer; the one before the operation
// comes back at its end.
TEST_F(cxControlsDragAndDropTest, StepsShowTheDragCursorAndTheEndRestoresTheCursor)
{
  TDragTestControl* control = AddControl();
  control->SetDragAndDropObjectClass(nullptr);
  vcl::Screen()->SetCursor(vcl::crHourGlass);
  control->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  control->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, 12));
  ASSERT_EQ(control->GetDragAndDropState(), ddsInProcess);
  struct {
    bool Accepted;
    vcl::TCursor Cursor;
  } const steps[] = {{false, vcl::crNoDrop}, {true, vcl::crDrag}};
  for (const auto& step : steps) {
    bool accepted = step.Accepted;
    control->DragAndDrop(TPoint{40, 40}, accepted);
    EXPECT_EQ(vcl::Screen()->GetCursor(), step.Cursor);
  }
  control->Perform(WM_LBUTTONUP, 0, MAKELPARAM(40, 40));
  EXPECT_EQ(vcl::Screen()->GetCursor(), vcl::crHourGlass);
  vcl::Screen()->SetCursor(vcl::crDefault);
}

// A finish started from inside the end of the operation (a handler that
// presses Esc or cancels the mode) does not end it a second time.
class TDragTestReentrantObject : public TDragTestObject {
  RTL_CLASS(TDragTestReentrantObject, TDragTestObject)

 protected:
  void EndDragAndDrop(bool AAccepted) override
  {
    inherited::EndDragAndDrop(AAccepted);
    GetControl()->FinishDragAndDrop(false);
  }
};

TEST_F(cxControlsDragAndDropTest, AFinishDuringTheFinishIsIgnored)
{
  TDragTestControl* control = AddControl();
  control->SetDragAndDropObjectClass(rtl::ClassOf<TcxDragAndDropObject>::Of<TDragTestReentrantObject>());
  control->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  control->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, 12));
  control->Perform(WM_LBUTTONUP, 0, MAKELPARAM(30, 12));
  EXPECT_EQ(control->Log, (std::vector<std::string>{"create", "begin 8,6", "end accepted", "destroy"}));
}

// Clearing the state from outside the finish drops the mouse operations.
TEST_F(cxControlsDragAndDropTest, ClearingTheStateFromOutsideCancelsTheMouse)
{
  TDragTestControl* control = AddControl();
  control->SetMouseCaptureObject(control);
  control->SetDragAndDropState(ddsStarting);
  control->SetDragAndDropState(ddsNone);
  EXPECT_EQ(control->GetMouseCaptureObject(), nullptr);
  EXPECT_FALSE(control->GetMouseCapture());
}

TEST_F(cxControlsDragAndDropTest, TheFrameworkDragObjectCopiesOnlyAcceptedDropsOfACopyingControl)
{
  TDragTestControl* control = AddControl();
  control->SetDragCursor(vcl::crHandPoint);
  rtl::TOwnedPtr<TcxDragControlObject> object(rtl::New<TcxDragControlObject>(control));
  struct {
    bool Copies;
    bool Accepted;
    vcl::TCursor Cursor;
  } const cases[] = {
      {true, true, crcxDragCopy},
      {true, false, vcl::crNoDrop},
      {false, true, vcl::crHandPoint},
      {false, false, vcl::crNoDrop},
  };
  for (const auto& c : cases) {
    control->Copies = c.Copies;
    EXPECT_EQ(object->GetDragCursor(c.Accepted, 0, 0), c.Cursor) << c.Copies << c.Accepted;
  }
}

TEST_F(cxControlsDragAndDropTest, TheFrameworkDragStartsOnlyWhereTheControlAgrees)
{
  for (const bool allow : {false, true}) {
    TDragTestControl* control = AddControl();
    control->AllowFrameworkDrag = allow;
    control->BeginDrag(true, -1);
    EXPECT_EQ(control->Dragging(), allow);
    if (control->Dragging())
      control->EndDrag(false);
    rtl::Free(control);
  }
}

TEST_F(cxControlsDragAndDropTest, DragImagesHoldTheControlsPicture)
{
  struct {
    TSize Size;
    bool HasImages;
  } const cases[] = {{{0, 0}, false}, {{16, 12}, true}};
  for (const auto& c : cases) {
    TDragTestControl* control = AddControl();
    control->DragImageSize = c.Size;
    vcl::TDragImageList* images = control->GetDragImages();
    ASSERT_EQ(images != nullptr, c.HasImages);
    if (images) {
      EXPECT_EQ(images->GetCount(), 1);
      EXPECT_EQ(images->GetWidth(), 16);
      EXPECT_EQ(images->GetHeight(), 12);
    }
    rtl::Free(control);
  }
}

}  // namespace
