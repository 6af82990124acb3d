// The edit base without windows: a new editor's state, how values travel
// (locks, user actions, the change notifications they raise), the held
// change events, the user-action counters, and repository items.
#include <gtest/gtest.h>

#include <string>

#include "editors/cxEdit.h"
#include "editors/cxEditRepositoryItems.h"

namespace {

// Properties that compare values, so that a changed value is announced.
class TcxEditBaseTestProperties : public TcxCustomEditProperties {
  RTL_CLASS(TcxEditBaseTestProperties, TcxCustomEditProperties)

 public:
  bool CanCompareEditValue() override { return true; }
  TcxCustomEditClass GetContainerClass() override;
};

class TcxEditBaseTestEdit : public TcxCustomEdit {
  RTL_CLASS(TcxEditBaseTestEdit, TcxCustomEdit)

 public:
  TcxCustomEditPropertiesClass GetPropertiesClass() override
  {
    return TcxCustomEditPropertiesClass::Of<TcxEditBaseTestProperties>();
  }
  using TcxCustomEdit::ApplyEditValue;
  using TcxCustomEdit::DoChange;
  using TcxCustomEdit::IsUserAction;
};

TcxCustomEditClass TcxEditBaseTestProperties::GetContainerClass()
{
  return TcxCustomEditClass::Of<TcxEditBaseTestEdit>();
}

class TcxEditBaseTestRepositoryItem : public TcxEditRepositoryItem {
  RTL_CLASS(TcxEditBaseTestRepositoryItem, TcxEditRepositoryItem)

 public:
  TcxCustomEditPropertiesClass GetEditPropertiesClass() override
  {
    return TcxCustomEditPropertiesClass::Of<TcxEditBaseTestProperties>();
  }
};

// Writes "C" for OnChange and "V" for OnEditValueChanged.
class TcxEditBaseFixture : public testing::Test {
 public:
  void Changed(rtl::TObject* /*Sender*/)
  {
    Log += L"C";
    UserActionInHandler = UserActionInHandler || Edit->IsUserAction();
  }
  void ValueChanged(rtl::TObject* /*Sender*/) { Log += L"V"; }

 protected:
  void SetUp() override
  {
    Edit.reset(rtl::New<TcxEditBaseTestEdit>(nullptr));
    Edit->GetInternalProperties()->SetOnChange(rtl::TNotifyEvent::Bind<&TcxEditBaseFixture::Changed>(this));
    Edit->GetInternalProperties()->SetOnEditValueChanged(
        rtl::TNotifyEvent::Bind<&TcxEditBaseFixture::ValueChanged>(this));
  }

  rtl::TOwnedPtr<TcxEditBaseTestEdit> Edit;
  std::wstring Log;
  bool UserActionInHandler = false;
};

TEST_F(TcxEditBaseFixture, ANewEditorHoldsNullUnmodified)
{
  EXPECT_TRUE(rtl::VarIsNull(Edit->GetEditValue()));
  EXPECT_FALSE(Edit->GetEditModified());
  EXPECT_FALSE(Edit->GetModifiedAfterEnter());
  EXPECT_FALSE(Edit->IsInplace());
  EXPECT_TRUE(Edit->GetAutoSize()) << "a standalone editor auto-sizes";
  EXPECT_EQ(Edit->GetActiveProperties(), Edit->GetInternalProperties());
  EXPECT_TRUE(rtl::Is<TcxEditStyle>(Edit->GetStyle()));

  Edit->SetEditValue(rtl::Variant(5));
  EXPECT_EQ(Edit->GetEditValue(), rtl::Variant(5));
  EXPECT_EQ(Log, L"VC");
  Edit->Clear();
  EXPECT_TRUE(rtl::VarIsNull(Edit->GetEditValue()));
}

TEST_F(TcxEditBaseFixture, ValueWritesRaiseNotificationsOnlyForChanges)
{
  struct Case {
    const char* Name;
    rtl::Variant First;
    rtl::Variant Second;
    const wchar_t* Log;
  };
  const Case cases[] = {
      {"the same integer twice", rtl::Variant(1), rtl::Variant(1), L"VC"},
      {"an integer, then the equal double", rtl::Variant(1), rtl::Variant(1.0), L"VC"},
      {"an integer, then its text", rtl::Variant(1), rtl::Variant(L"1"), L"VCVC"},
      {"two texts", rtl::Variant(L"a"), rtl::Variant(L"b"), L"VCVC"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Edit->SetEditValue(rtl::Null());
    Log.clear();
    Edit->SetEditValue(c.First);
    Edit->SetEditValue(c.Second);
    EXPECT_EQ(Log, c.Log);
  }
}

TEST_F(TcxEditBaseFixture, LockedValueChangingIgnoresBothWriters)
{
  Edit->LockEditValueChanging(true);
  Edit->SetEditValue(rtl::Variant(3));
  Edit->SetInternalEditValue(rtl::Variant(4));
  EXPECT_TRUE(rtl::VarIsNull(Edit->GetEditValue()));
  Edit->LockEditValueChanging(false);
  Edit->LockEditValueChanging(false);  // unbalanced: no effect
  Edit->SetInternalEditValue(rtl::Variant(4));
  EXPECT_EQ(Edit->GetEditValue(), rtl::Variant(4));
}

TEST_F(TcxEditBaseFixture, HeldChangeEventsFireOnceAtTheLastUnlock)
{
  // Each step: 'L' lock, 'c' a change, 'U' unlock firing, 'u' unlock
  // without firing.
  struct Case {
    const char* Steps;
    const wchar_t* Log;
  };
  const Case cases[] = {
      {"LcccU", L"C"},
      {"LcLcUU", L"C"},
      {"Lcccu", L""},
      {"LcuLU", L""},
      {"UcU", L"C"},
      {"LU", L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Steps);
    Log.clear();
    for (const char* step = c.Steps; *step; ++step)
      switch (*step) {
        case 'L':
          Edit->LockChangeEvents(true);
          break;
        case 'U':
          Edit->LockChangeEvents(false, true);
          break;
        case 'u':
          Edit->LockChangeEvents(false, false);
          break;
        case 'c':
          Edit->DoChange();
          break;
      }
    EXPECT_EQ(Log, c.Log);
    EXPECT_FALSE(Edit->AreChangeEventsLocked());
  }
}

TEST_F(TcxEditBaseFixture, UserActionCountersNeverGoBelowZero)
{
  Edit->EndUserAction();
  Edit->BeginUserAction();
  EXPECT_TRUE(Edit->IsUserAction()) << "an unbalanced end left the count below zero";
  Edit->EndUserAction();

  Edit->DisableUserAction();
  EXPECT_FALSE(Edit->IsUserAction());
  Edit->EnableUserAction();
  Edit->EnableUserAction();  // unbalanced
  Edit->BeginUserAction();
  EXPECT_TRUE(Edit->IsUserAction()) << "an unbalanced enable disabled user actions for good";
  Edit->EndUserAction();
  EXPECT_FALSE(Edit->IsUserAction());
}

TEST_F(TcxEditBaseFixture, HandlersRunWithUserActionsDisabled)
{
  Edit->SetValidatableEditValue(rtl::Variant(7));
  EXPECT_EQ(Log, L"VC");
  EXPECT_FALSE(UserActionInHandler);
  EXPECT_TRUE(Edit->GetModifiedAfterEnter()) << "the value counts as the user's";
  EXPECT_FALSE(Edit->IsUserAction());

  Edit->SetEditValue(rtl::Variant(8));
  EXPECT_FALSE(Edit->GetEditModified()) << "a value set by the program is not a modification";
}

TEST_F(TcxEditBaseFixture, RepositoryItems)
{
  rtl::TOwnedPtr<TcxEditRepository> ARepository{rtl::New<TcxEditRepository>(nullptr)};
  TcxEditRepositoryItem* AForeign = ARepository->CreateItem(rtl::ClassOf<TcxEditRepositoryItem>::Of<TcxEditRepositoryItem>());
  try {
    Edit->SetRepositoryItem(AForeign);
    ADD_FAILURE() << "an item of other properties was taken";
  } catch (const EcxEditError& E) {
    EXPECT_EQ(rtl::String(E.Message()), L"The repository item is not acceptable");
  }
  EXPECT_EQ(Edit->GetRepositoryItem(), nullptr);

  TcxEditRepositoryItem* AItem =
      ARepository->CreateItem(rtl::ClassOf<TcxEditRepositoryItem>::Of<TcxEditBaseTestRepositoryItem>());
  Edit->SetRepositoryItem(AItem);
  EXPECT_EQ(Edit->GetActiveProperties(), AItem->GetProperties());
  EXPECT_EQ(AItem->GetListenerCount(), 1);

  // The item's events fire after the own properties'.
  AItem->GetProperties()->SetOnChange(rtl::TNotifyEvent::Bind<&TcxEditBaseFixture::Changed>(this));
  Log.clear();
  Edit->SetEditValue(rtl::Variant(L"x"));
  EXPECT_EQ(Log, L"VCC");

  rtl::Free(AItem);
  EXPECT_EQ(Edit->GetRepositoryItem(), nullptr) << "a freed item is forgotten";
  EXPECT_EQ(Edit->GetActiveProperties(), Edit->GetInternalProperties());
}

TEST(TcxInplaceEditListTest, ReusesAFreeEditorOfTheMatchingClass)
{
  rtl::TOwnedPtr<TcxInplaceEditList> AList{rtl::New<TcxInplaceEditList>(nullptr)};
  rtl::TOwnedPtr<TcxEditBaseTestProperties> AFirst{rtl::New<TcxEditBaseTestProperties>(nullptr)};
  TcxCustomEdit* AEdit = AList->GetEdit(AFirst.get());
  ASSERT_TRUE(rtl::Is<TcxEditBaseTestEdit>(AEdit));
  EXPECT_TRUE(AEdit->IsInplace());
  EXPECT_FALSE(AEdit->GetVisible());
  EXPECT_EQ(AList->GetEdit(AFirst.get()), AEdit);

  rtl::TOwnedPtr<TcxEditBaseTestProperties> ASecond{rtl::New<TcxEditBaseTestProperties>(nullptr)};
  EXPECT_NE(AList->GetEdit(ASecond.get()), AEdit) << "the first editor is still bound";
  EXPECT_EQ(AList->GetCount(), 2);

  AFirst.reset();  // its editor becomes free
  rtl::TOwnedPtr<TcxEditBaseTestProperties> AThird{rtl::New<TcxEditBaseTestProperties>(nullptr)};
  AThird->SetReadOnly(true);
  EXPECT_EQ(AList->GetEdit(AThird.get()), AEdit);
  EXPECT_EQ(AList->GetCount(), 2);
  EXPECT_TRUE(AEdit->GetInternalProperties()->GetReadOnly()) << "the properties are copied in";

  // An editor its owner frees leaves the list.
  rtl::Free(AEdit);
  EXPECT_EQ(AList->GetCount(), 1);
}

}  // namespace
