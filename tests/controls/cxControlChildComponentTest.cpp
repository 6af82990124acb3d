#include "controls/cxControlChildComponent.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/dxDPIAwareUtils.h"
#include "tests/support/TestHost.h"

namespace {

// Stands for the base control: keeps its child components and a scale
// factor.
class TChildComponentTestControl : public kvtest::TTestPanel,
                                   public IcxControlChildComponentHost,
                                   public IdxScaleFactor {
  RTL_CLASS(TChildComponentTestControl, kvtest::TTestPanel)
  RTL_INTERFACES(IcxControlChildComponentHost, IdxScaleFactor)

 public:
  void Create(rtl::TComponent* AOwner) override
  {
    inherited::Create(AOwner);
    FScale = rtl::New<TdxScaleFactor>();
  }
  void Destroy() override
  {
    inherited::Destroy();
    rtl::FreeAndNil(FScale);
  }
  void __stdcall AddChildComponent(TcxControlChildComponent* AComponent) override
  {
    Children.push_back(AComponent);
    AComponent->SetControl(this);
  }
  void __stdcall RemoveChildComponent(TcxControlChildComponent* AComponent) override
  {
    std::erase(Children, AComponent);
    AComponent->SetControl(nullptr);
  }
  TdxScaleFactor* __stdcall GetScaleFactor() override { return FScale; }

  std::vector<TcxControlChildComponent*> Children;

 private:
  TdxScaleFactor* FScale;
};

class TChildComponentTestChild : public TcxControlChildComponent {
  RTL_CLASS(TChildComponentTestChild, TcxControlChildComponent)

 public:
  std::vector<std::pair<int, int>> Changes;

 protected:
  void ScaleFactorChanged(int M, int D) override { Changes.emplace_back(M, D); }
};

TEST(cxControlChildComponent, BelongsToItsControlAndFollowsItsScale)
{
  rtl::TOwnedPtr<rtl::TComponent> form(rtl::New<rtl::TComponent>(nullptr));
  auto* control = rtl::New<TChildComponentTestControl>(form.get());
  auto* child = rtl::NewWith<TChildComponentTestChild>(
      [&](TChildComponentTestChild* AChild) { AChild->CreateEx(control, true); });
  control->AddChildComponent(child);
  EXPECT_EQ(child->GetOwner(), form.get()) << "owned by the control's owner";
  EXPECT_EQ(child->GetControl(), control);
  EXPECT_TRUE(child->HasParent());
  EXPECT_EQ(child->GetParentComponent(), control);

  control->GetScaleFactor()->Change(3, 2);
  EXPECT_EQ(child->Changes, (std::vector<std::pair<int, int>>{{3, 2}}));
  EXPECT_EQ(child->GetScaleFactor()->GetNumerator(), 3);

  rtl::Free(child);
  EXPECT_TRUE(control->Children.empty()) << "a freed child leaves its control";
}

TEST(cxControlChildComponent, JoinsAControlThroughStreaming)
{
  rtl::TOwnedPtr<TChildComponentTestControl> control(rtl::New<TChildComponentTestControl>(nullptr));
  rtl::TOwnedPtr<TChildComponentTestChild> child(rtl::New<TChildComponentTestChild>(nullptr));
  EXPECT_FALSE(child->HasParent());
  child->SetParentComponent(control.get());
  EXPECT_EQ(child->GetControl(), control.get());
  EXPECT_EQ(control->Children.size(), 1u);
  child.reset();
  EXPECT_TRUE(control->Children.empty());
}

}  // namespace
