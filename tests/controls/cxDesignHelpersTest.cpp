#include "controls/cxDesignHelpers.h"

#include <gtest/gtest.h>

#include "controls/cxControls.h"
#include "core/cxGeometry.h"
#include "platform/vcl/Forms.h"
#include "tests/controls/ControlsTestSupport.h"
#include "tests/support/TestHost.h"

namespace {

// ---------------------------------------------------------------------------
// The design controller

struct TDesignTestRecord {
  int Calls = 0;
  rtl::TComponent* LastRoot = nullptr;
  TcxDesignController* Controller = nullptr;
  vcl::TCustomForm* Form = nullptr;
};

// The designer of the tests; a plain pointer, set by each case.
TDesignTestRecord* GDesignTestRecord = nullptr;

void DesignTestModified(rtl::TComponent* ARoot)
{
  ++GDesignTestRecord->Calls;
  GDesignTestRecord->LastRoot = ARoot;
  // A handler that changes the form again while being told.
  if (GDesignTestRecord->Controller)
    GDesignTestRecord->Controller->DesignerModified(GDesignTestRecord->Form);
}

// A root component a test can put into design mode.
class TDesignTestRoot : public rtl::TComponent {
  RTL_CLASS(TDesignTestRoot, rtl::TComponent)

 public:
  using rtl::TComponent::SetDesigning;
};

class cxDesignControllerTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    GDesignTestRecord = &FRecord;
    cxSetDesignerHooks(&DesignTestModified, nullptr);
    FOwner.reset(rtl::New<TDesignTestRoot>(nullptr));
    FForm = rtl::New<vcl::TCustomForm>(FOwner.get());
    FController.reset(rtl::New<TcxDesignController>());
  }
  void TearDown() override
  {
    cxSetDesignerHooks(nullptr, nullptr);
    GDesignTestRecord = nullptr;
  }

  TDesignTestRecord FRecord;
  rtl::TOwnedPtr<TDesignTestRoot> FOwner;
  vcl::TCustomForm* FForm = nullptr;
  rtl::TOwnedPtr<TcxDesignController> FController;
};

TEST_F(cxDesignControllerTest, TellsTheRootDesignerOnlyAtDesignTime)
{
  FController->DesignerModified(FForm);
  EXPECT_EQ(FRecord.Calls, 0) << "at run time";
  FOwner->SetDesigning(true);
  FController->DesignerModified(FForm);
  EXPECT_EQ(FRecord.Calls, 1);
  EXPECT_EQ(FRecord.LastRoot, FOwner.get()) << "the root of the owner chain";
}

TEST_F(cxDesignControllerTest, LocksNestAndNeverGoBelowZero)
{
  FOwner->SetDesigning(true);
  struct {
    const char* Step;
    void (*Act)(TcxDesignController*);
    bool Locked;
    int Calls;
  } const steps[] = {
      {"unlock without a lock", [](TcxDesignController* C) { C->UnLockDesignerModified(); }, false, 1},
      {"lock", [](TcxDesignController* C) { C->LockDesignerModified(); }, true, 1},
      {"lock again", [](TcxDesignController* C) { C->LockDesignerModified(); }, true, 1},
      {"first unlock", [](TcxDesignController* C) { C->UnLockDesignerModified(); }, true, 1},
      {"last unlock", [](TcxDesignController* C) { C->UnLockDesignerModified(); }, false, 2},
  };
  for (const auto& step : steps) {
    step.Act(FController.get());
    EXPECT_EQ(FController->IsDesignerModifiedLocked(), step.Locked) << step.Step;
    FController->DesignerModified(FForm);
    EXPECT_EQ(FRecord.Calls, step.Calls) << step.Step;
  }
}

TEST_F(cxDesignControllerTest, ANestedNotificationIsIgnored)
{
  FOwner->SetDesigning(true);
  FRecord.Controller = FController.get();
  FRecord.Form = FForm;
  FController->DesignerModified(FForm);
  EXPECT_EQ(FRecord.Calls, 1);
  FController->DesignerModified(FForm);
  EXPECT_EQ(FRecord.Calls, 2) << "the guard is cleared afterwards";
}

// ---------------------------------------------------------------------------
// The selector square

TEST(cxDesignSelectorHelperTest, SitsInTheBottomRightCorner)
{
  struct {
    TRect R;
    int Offset;
    int Size;
    int Percent;
    TRect Bounds;
  } const cases[] = {
      {{0, 0, 100, 100}, 8, 15, 100, {77, 77, 92, 92}},
      {{0, 0, 100, 100}, 8, 15, 200, {54, 54, 84, 84}},
      {{10, 20, 60, 60}, 2, 10, 100, {48, 48, 58, 58}},
  };
  for (const auto& c : cases) {
    rtl::TOwnedPtr<TdxScaleFactor> factor(rtl::New<TdxScaleFactor>());
    factor->Assign(c.Percent, 100, false);
    EXPECT_EQ(TdxControlsDesignSelectorHelper::CalculateBounds(c.R, c.Offset, c.Size, factor.get()), c.Bounds);
  }
  EXPECT_EQ(TdxControlsDesignSelectorHelper::CalculateBounds(TRect{0, 0, 100, 100}, nullptr), (TRect{77, 77, 92, 92}));
}

// A panel that may keep its children free of selectors.
class TDesignTestPanel : public kvtest::TTestPanel, public IdxCustomizeControlsHelper {
  RTL_CLASS(TDesignTestPanel, kvtest::TTestPanel)
  RTL_INTERFACES(IdxCustomizeControlsHelper)

 public:
  bool SkipChildren = false;
  bool __stdcall SkipsChildDesignSelectors() override { return SkipChildren; }
};

class cxDesignSelectorHelperHostedTest : public kvtest::THostedTest {
 protected:
  void SetUp() override
  {
    THostedTest::SetUp();
    FPanel = AddChild<TDesignTestPanel>(TRect{10, 10, 210, 160});
    FPanel->HandleNeeded();
  }
  TDesignTestPanel* AddInner()
  {
    auto* inner = rtl::New<TDesignTestPanel>(FPanel);
    inner->SetBoundsRect(TRect{20, 30, 120, 130});
    inner->SetParent(FPanel);
    inner->HandleNeeded();
    return inner;
  }
  LRESULT HitTest(vcl::TWinControl* AControl, const TPoint& AClientPoint)
  {
    const TPoint screen = AControl->ClientToScreen(AClientPoint);
    return SendMessageW(AControl->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
  }

  TDesignTestPanel* FPanel = nullptr;
};

TEST_F(cxDesignSelectorHelperHostedTest, TheSquareIsTransparentToHitTesting)
{
  rtl::TOwnedPtr<TdxControlsDesignSelectorHelper> helper(rtl::New<TdxControlsDesignSelectorHelper>(FPanel));
  helper->SetSelectorBounds(TdxControlsDesignSelectorHelper::CalculateBounds(FPanel->GetClientRect(), nullptr));
  EXPECT_EQ(helper->GetSelectorBounds(), (TRect{177, 127, 192, 142}));
  struct {
    TPoint P;
    LRESULT NCHit;
    LRESULT CMHit;
  } const cases[] = {
      {{180, 130}, HTTRANSPARENT, 0},
      {{191, 141}, HTTRANSPARENT, 0},
      {{192, 141}, HTCLIENT, HTCLIENT},
      {{10, 10}, HTCLIENT, HTCLIENT},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HitTest(FPanel, c.P), c.NCHit) << c.P.x << "," << c.P.y;
    EXPECT_EQ(FPanel->Perform(rtl::CM_HITTEST, 0, MAKELPARAM(c.P.x, c.P.y)), c.CMHit) << c.P.x << "," << c.P.y;
  }
  helper.reset();
  EXPECT_EQ(HitTest(FPanel, TPoint{180, 130}), HTCLIENT) << "the hook goes with the helper";
}

TEST_F(cxDesignSelectorHelperHostedTest, WindowedChildrenGetHelpersWithTheSquareInTheirCoordinates)
{
  TDesignTestPanel* inner = AddInner();
  rtl::TOwnedPtr<TdxControlsDesignSelectorHelper> helper(rtl::New<TdxControlsDesignSelectorHelper>(FPanel));
  helper->SetSelectorBounds(TRect{100, 100, 115, 115});
  ASSERT_EQ(helper->GetChildCount(), 1);
  TdxControlsDesignSelectorHelper* child = helper->GetChild(0);
  EXPECT_EQ(child->GetControl(), inner);
  EXPECT_EQ(child->GetParentHelper(), helper.get());
  EXPECT_EQ(child->GetSelectorBounds(), (TRect{80, 70, 95, 85}));
  EXPECT_EQ(HitTest(inner, TPoint{85, 75}), HTTRANSPARENT);

  inner->SetBoundsRect(TRect{30, 30, 130, 130});
  EXPECT_EQ(child->GetSelectorBounds(), (TRect{70, 70, 85, 85})) << "follows its control's moves";

  rtl::TFreeWatch watch(child);
  rtl::Free(inner);
  EXPECT_TRUE(watch.Freed()) << "goes with its control";
  EXPECT_EQ(helper->GetChildCount(), 0);
}

TEST_F(cxDesignSelectorHelperHostedTest, AControlCanKeepItsChildrenFree)
{
  AddInner();
  FPanel->SkipChildren = true;
  rtl::TOwnedPtr<TdxControlsDesignSelectorHelper> helper(rtl::New<TdxControlsDesignSelectorHelper>(FPanel));
  helper->SetSelectorBounds(TRect{100, 100, 115, 115});
  EXPECT_EQ(helper->GetChildCount(), 0);
}

}  // namespace
