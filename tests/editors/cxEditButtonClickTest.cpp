// Edit buttons driven through an editor's window: presses, releases and
// clicks decided from the change of the view info, the click key, and the
// hot fade of a skinned editor.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/cxEdit.h"
#include "graphics/dxFading.h"
#include "platform/vcl/Forms.h"
#include "tests/support/TestSupport.h"

namespace {

using Log = std::vector<std::wstring>;

// Logs the presses and releases the edit base hands down.
class TcxEditButtonClickTestEdit : public TcxCustomEdit {
  RTL_CLASS(TcxEditButtonClickTestEdit, TcxCustomEdit)

 public:
  void PressKey(WORD AKey, vcl::TShiftState AShift) { KeyDown(AKey, AShift); }
  Log* Events = nullptr;

 protected:
  void ButtonDown(int AButtonVisibleIndex) override { Events->push_back(L"down " + std::to_wstring(AButtonVisibleIndex)); }
  void ButtonUp(int AButtonVisibleIndex) override { Events->push_back(L"up " + std::to_wstring(AButtonVisibleIndex)); }
};

// What the mouse does, in the editor's client coordinates.
enum class TcxEditButtonClickTestStep { Move, Press, Release, DoubleClick };
struct TcxEditButtonClickTestAction {
  TcxEditButtonClickTestStep Step;
  int Button;  // the centre of this button; -1: a point on the text area
};

class TcxEditButtonClickFixture : public testing::Test {
 public:
  void ButtonClick(rtl::TObject* /*Sender*/, int AButtonIndex)
  {
    Events.push_back(L"click " + std::to_wstring(AButtonIndex));
  }
  void KeyDown(rtl::TObject* /*Sender*/, WORD& AKey, vcl::TShiftState /*Shift*/)
  {
    Events.push_back(L"key " + std::to_wstring(AKey));
  }

 protected:
  void SetUp() override
  {
    Form.reset(rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(nullptr); }));
    Form->SetBounds(50, 50, 300, 120);
    Edit = rtl::New<TcxEditButtonClickTestEdit>(Form.get());
    Edit->Events = &Events;
    TcxCustomEditProperties* AProperties = Edit->GetInternalProperties();
    AProperties->GetButtons()->Add()->SetKind(TcxEditButtonKind::bkEllipsis);
    AProperties->GetButtons()->Add()->SetKind(TcxEditButtonKind::bkDown);
    AProperties->SetOnButtonClick(TcxEditButtonClickEvent::Bind<&TcxEditButtonClickFixture::ButtonClick>(this));
    Edit->SetOnKeyDown(vcl::TKeyEvent::Bind<&TcxEditButtonClickFixture::KeyDown>(this));
    TcxLookAndFeel* ALookAndFeel = static_cast<TcxCustomEditStyle*>(Edit->GetStyle())->GetLookAndFeel();
    ALookAndFeel->SetKind(TcxLookAndFeelKind::lfStandard);
    ALookAndFeel->SetNativeStyle(false);
    ALookAndFeel->SetSkinName(L"");
    Edit->SetAutoSize(false);
    Edit->SetBounds(10, 10, 160, 24);
    Edit->SetParent(Form.get());
    Form->Show();
    SetWindowPos(Form->GetHandle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    kvtest::PumpMessages();
  }
  void TearDown() override
  {
    ReleaseCapture();
    Form.reset();
    kvtest::PumpMessages();
  }
  TPoint PointOf(int AButton)
  {
    if (AButton < 0)
      return TPoint{5, Edit->GetHeight() / 2};
    const TRect& R = Edit->GetViewInfo()->ButtonsInfo[AButton]->Bounds;
    return TPoint{(R.left + R.right) / 2, (R.top + R.bottom) / 2};
  }
  // The messages the system sends for the action; the left button counts
  // as held between a press and a release.
  void Perform(const TcxEditButtonClickTestAction& AAction)
  {
    using enum TcxEditButtonClickTestStep;
    const TPoint P = PointOf(AAction.Button);
    const LPARAM APos = MAKELPARAM(P.x, P.y);
    const HWND AWnd = Edit->GetHandle();
    switch (AAction.Step) {
      case Move:
        SendMessageW(AWnd, WM_MOUSEMOVE, Held ? MK_LBUTTON : 0, APos);
        break;
      case Press:
        SendMessageW(AWnd, WM_MOUSEMOVE, 0, APos);
        SendMessageW(AWnd, WM_LBUTTONDOWN, MK_LBUTTON, APos);
        Held = true;
        break;
      case DoubleClick:
        SendMessageW(AWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, APos);
        Held = true;
        break;
      case Release:
        SendMessageW(AWnd, WM_LBUTTONUP, 0, APos);
        Held = false;
        break;
    }
  }

  rtl::TOwnedPtr<vcl::TForm> Form;
  TcxEditButtonClickTestEdit* Edit;
  Log Events;
  bool Held = false;
};

TEST_F(TcxEditButtonClickFixture, TheMouseOnTheButtons)
{
  using enum TcxEditButtonClickTestStep;
  const struct {
    const char* Name;
    std::vector<TcxEditButtonClickTestAction> Actions;
    Log Expected;
  } cases[] = {
      {"a click", {{Press, 0}, {Release, 0}}, {L"down 0", L"up 0", L"click 0"}},
      {"the other button", {{Press, 1}, {Release, 1}}, {L"down 1", L"up 1", L"click 1"}},
      {"released beside the button", {{Press, 0}, {Move, -1}, {Release, -1}}, {L"down 0", L"up 0"}},
      {"off and back on while held",
       {{Press, 0}, {Move, -1}, {Move, 0}, {Release, 0}},
       {L"down 0", L"up 0", L"down 0", L"up 0", L"click 0"}},
      {"released on another button", {{Press, 0}, {Move, 1}, {Release, 1}}, {L"down 0", L"up 0"}},
      {"hovering presses nothing", {{Move, 0}, {Move, 1}, {Move, -1}}, {}},
      {"a press on the text area", {{Press, -1}, {Release, -1}}, {}},
      {"a double click is a second press",
       {{Press, 0}, {Release, 0}, {DoubleClick, 0}, {Release, 0}},
       {L"down 0", L"up 0", L"click 0", L"down 0", L"up 0", L"click 0"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Events.clear();
    for (const TcxEditButtonClickTestAction& AAction : c.Actions)
      Perform(AAction);
    EXPECT_EQ(c.Expected, Events);
    Perform({Move, -1});
  }
}

TEST_F(TcxEditButtonClickFixture, TheStatesFollowTheMouse)
{
  using enum TcxEditButtonClickTestStep;
  using enum TcxEditButtonState;
  TcxCustomEditViewInfo* AViewInfo = Edit->GetViewInfo();
  const struct {
    const char* Name;
    TcxEditButtonClickTestAction Action;
    TcxEditButtonState First;
    TcxEditButtonState Second;
  } steps[] = {
      {"hot", {Move, 0}, ebsSelected, ebsNormal},
      {"pressed", {Press, 0}, ebsPressed, ebsNormal},
      {"held beside it", {Move, -1}, ebsNormal, ebsNormal},
      {"held over it again", {Move, 0}, ebsPressed, ebsNormal},
      {"released", {Release, 0}, ebsSelected, ebsNormal},
      {"the other one hot", {Move, 1}, ebsNormal, ebsSelected},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.Name);
    Perform(s.Action);
    EXPECT_EQ(s.First, AViewInfo->ButtonsInfo[0]->Data.State);
    EXPECT_EQ(s.Second, AViewInfo->ButtonsInfo[1]->Data.State);
  }
}

TEST_F(TcxEditButtonClickFixture, ADisabledButtonIsNeverPressed)
{
  using enum TcxEditButtonClickTestStep;
  Edit->GetInternalProperties()->GetButtons()->GetItems(0)->SetEnabled(false);
  kvtest::PumpMessages();
  Perform({Press, 0});
  Perform({Release, 0});
  EXPECT_EQ(Log{}, Events);
  EXPECT_EQ(TcxEditButtonState::ebsDisabled, Edit->GetViewInfo()->ButtonsInfo[0]->Data.State);
}

// Ctrl+Enter clicks the default button once when it is enabled; otherwise
// it is an ordinary key.
TEST_F(TcxEditButtonClickFixture, TheClickKey)
{
  const struct {
    const char* Name;
    int Default;
    bool Enabled;
    Log Expected;
  } cases[] = {
      {"the default button", 1, true, {L"click 1"}},
      {"no default button", -1, true, {L"key 13"}},
      {"a disabled default button", 1, false, {L"key 13"}},
  };
  TcxCustomEditButtons* AButtons = Edit->GetInternalProperties()->GetButtons();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    for (int I = 0; I < AButtons->GetCount(); ++I) {
      AButtons->GetItems(I)->SetDefault(I == c.Default);
      AButtons->GetItems(I)->SetEnabled(c.Enabled);
    }
    kvtest::PumpMessages();
    Events.clear();
    Edit->PressKey(VK_RETURN, {vcl::TShiftStateItem::ssCtrl});
    EXPECT_EQ(c.Expected, Events);
  }
}

// A skinned editor fades its frame in when the mouse comes and a button
// when the mouse is over it.
TEST_F(TcxEditButtonClickFixture, HotStatesFadeWithASkin)
{
  using enum TcxEditButtonClickTestStep;
  TdxFader* AFader = dxGetFader();
  if (!AFader || !AFader->GetIsReady())
    GTEST_SKIP() << "the display cannot fade";
  static_cast<TcxCustomEditStyle*>(Edit->GetStyle())->SetHotTrack(true);
  static_cast<TcxCustomEditStyle*>(Edit->GetStyle())->GetLookAndFeel()->SetSkinName(L"VisualStudio2013Dark");
  kvtest::PumpMessages();
  ASSERT_TRUE(Edit->GetViewInfo()->IsFadingAvailable());
  Perform({Move, -1});
  EXPECT_TRUE(AFader->Contains(Edit)) << "the frame fades in";
  Perform({Move, 0});
  TcxEditButtonFadingHelper* AHelper = Edit->GetViewInfo()->ButtonsInfo[0]->FadingHelper;
  EXPECT_TRUE(AFader->Contains(AHelper)) << "the hot button fades in";
  Perform({Press, 0});
  EXPECT_FALSE(AFader->Contains(AHelper)) << "a press stops the fade";
  Perform({Release, 0});
  AFader->Clear();
}

}  // namespace
