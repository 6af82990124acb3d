#include "editors/cxDataUtils.h"

#include <gtest/gtest.h>

namespace {

// Counts the notifications of a binding and the changes of its control.
class TcxDataUtilsTestBinding : public TcxCustomDataBinding {
  RTL_CLASS(TcxDataUtilsTestBinding, TcxCustomDataBinding)

 public:
  int DataChanges = 0;
  int DataSetChanges = 0;
  int UpdateDataCalls = 0;
  int ControlChanges = 0;

  void DataChanged() { ++DataChanges; }
  void DataSetChanged() { ++DataSetChanges; }
  void UpdateData() { ++UpdateDataCalls; }

 protected:
  void DoVisualControlChanged() override { ++ControlChanges; }
};

class cxDataUtilsTest : public testing::Test {
 protected:
  void SetUp() override
  {
    Owner.reset(rtl::New<rtl::TComponent>(nullptr));
    Data.reset(rtl::New<rtl::TComponent>(nullptr));
    Binding.reset(rtl::New<TcxDataUtilsTestBinding>(Owner.get(), Data.get()));
    TcxDataUtilsTestBinding* binding = Binding.get();
    binding->SetOnDataChange(TcxDataBindingNotifyEvent::Bind<&TcxDataUtilsTestBinding::DataChanged>(binding));
    binding->SetOnDataSetChange(TcxDataBindingNotifyEvent::Bind<&TcxDataUtilsTestBinding::DataSetChanged>(binding));
    binding->SetOnUpdateData(TcxDataBindingNotifyEvent::Bind<&TcxDataUtilsTestBinding::UpdateData>(binding));
  }

  rtl::TOwnedPtr<rtl::TComponent> Owner;
  rtl::TOwnedPtr<rtl::TComponent> Data;
  rtl::TOwnedPtr<TcxDataUtilsTestBinding> Binding;
};

// A control bound to nothing behaves as a plain one: editable unless made
// read-only, no stored value, a live source.
TEST_F(cxDataUtilsTest, AnswersAsAnUnboundControl)
{
  EXPECT_EQ(Binding->GetOwner(), Owner.get());
  EXPECT_EQ(Binding->GetDataComponent(), Data.get());
  EXPECT_TRUE(rtl::VarIsNull(Binding->GetStoredValue(TcxDataEditValueSource::evsValue, true)));
  EXPECT_FALSE(Binding->GetModified());
  EXPECT_TRUE(Binding->IsDataSourceLive());
  EXPECT_FALSE(Binding->IsDataStorage());
  for (bool readOnly : {false, true}) {
    Binding->SetReadOnly(readOnly);
    EXPECT_EQ(Binding->CanModify(), !readOnly);
    EXPECT_EQ(Binding->SetEditMode(), !readOnly);
    EXPECT_EQ(Binding->IsControlReadOnly(), readOnly);
  }
}

TEST_F(cxDataUtilsTest, NotifiesOnlyRealChanges)
{
  Binding->SetReadOnly(false);
  EXPECT_EQ(Binding->DataSetChanges, 0);
  Binding->SetReadOnly(true);
  Binding->SetReadOnly(true);
  EXPECT_EQ(Binding->DataSetChanges, 1);

  rtl::TOwnedPtr<rtl::TComponent> control(rtl::New<rtl::TComponent>(nullptr));
  Binding->SetVisualControl(control.get());
  Binding->SetVisualControl(control.get());
  EXPECT_EQ(Binding->GetVisualControl(), control.get());
  EXPECT_EQ(Binding->ControlChanges, 1);

  Binding->DoDataChange();
  Binding->DoUpdateData();
  EXPECT_EQ(Binding->DataChanges, 1);
  EXPECT_EQ(Binding->UpdateDataCalls, 1);
}

}  // namespace
