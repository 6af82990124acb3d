// The editors' properties object: one announcement per update batch, the
// values a data source may dictate (own value, provider, default), the
// alignment handed out, what Assign copies, the provider letting go, the
// validation record, and the unit's comparison routines.
#include <gtest/gtest.h>

#include "editors/cxEdit.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "platform/rtl/TypInfo.h"
#include "platform/vcl/ImgList.h"

namespace {

// A provider whose answers a test sets.
class TcxTestDefaultValuesProvider : public TcxCustomEditDefaultValuesProvider {
  RTL_CLASS(TcxTestDefaultValuesProvider, TcxCustomEditDefaultValuesProvider)

 public:
  bool __stdcall CanSetEditMode() override { return SetEditMode; }
  rtl::TAlignment __stdcall DefaultAlignment() override { return Alignment; }
  bool __stdcall DefaultCanModify() override { return CanModify; }
  double __stdcall DefaultMaxValue() override { return MaxValue; }
  double __stdcall DefaultMinValue() override { return MinValue; }
  bool __stdcall DefaultReadOnly() override { return ReadOnly; }

  bool SetEditMode = true;
  rtl::TAlignment Alignment = rtl::TAlignment::taRightJustify;
  bool CanModify = true;
  double MaxValue = 100;
  double MinValue = -100;
  bool ReadOnly = true;
};

// Counts the announcements of one properties object.
class TcxPropertiesTestFixture : public testing::Test {
 public:
  void PropertiesChanged(rtl::TObject* Sender)
  {
    EXPECT_EQ(Sender, Properties.get());
    EXPECT_TRUE(Properties->IsChanging());
    ++ChangeCount;
  }

 protected:
  void SetUp() override
  {
    Properties.reset(rtl::New<TcxCustomEditProperties>(nullptr));
    Properties->SetOnPropertiesChanged(rtl::TNotifyEvent::Bind<&TcxPropertiesTestFixture::PropertiesChanged>(this));
    Provider.reset(rtl::New<TcxTestDefaultValuesProvider>(nullptr));
  }

  rtl::TOwnedPtr<TcxCustomEditProperties> Properties;
  rtl::TOwnedPtr<TcxTestDefaultValuesProvider> Provider;
  int ChangeCount = 0;
};

TEST_F(TcxPropertiesTestFixture, AnnouncesEachBatchOnce)
{
  Properties->BeginUpdate();
  Properties->BeginUpdate();
  Properties->SetAutoSelect(false);
  Properties->SetTransparent(true);
  Properties->SetReadOnly(true);
  Properties->SetMaxValue(5);
  Properties->SetMinValue(1);
  Properties->SetButtonsViewStyle(TcxEditButtonsViewStyle::bvsButtonsOnly);
  Properties->SetValidationOptions({TcxEditValidationOption::evoShowErrorIcon});
  Properties->SetUseLeftAlignmentOnEditing(false);
  Properties->SetValidationErrorIconAlignment(rtl::TAlignment::taRightJustify);
  Properties->GetAlignment()->SetVert(TcxEditVertAlignment::taVCenter);
  Properties->EndUpdate();
  EXPECT_EQ(ChangeCount, 0) << "an inner EndUpdate announces nothing";
  Properties->EndUpdate();
  EXPECT_EQ(ChangeCount, 1);
  EXPECT_FALSE(Properties->IsChanging());

  // Writing what is there already changes nothing.
  Properties->SetAutoSelect(false);
  Properties->SetReadOnly(true);
  Properties->SetMaxValue(5);
  Properties->SetValidationOptions({TcxEditValidationOption::evoShowErrorIcon});
  EXPECT_EQ(ChangeCount, 1);

  Properties->BeginUpdate();
  Properties->SetTransparent(false);
  Properties->EndUpdate(false);
  EXPECT_EQ(ChangeCount, 1) << "EndUpdate (False) drops the change";

  Properties->EndUpdate();
  Properties->SetTransparent(true);
  EXPECT_EQ(ChangeCount, 2) << "an unmatched EndUpdate leaves no lock behind";

  Properties->LockUpdate(true);
  Properties->SetTransparent(false);
  Properties->LockUpdate(false);
  EXPECT_EQ(ChangeCount, 2);
}

TEST_F(TcxPropertiesTestFixture, AssigningReadOnlyMarksItAssignedWithOneChange)
{
  Properties->SetReadOnly(false);
  EXPECT_TRUE(Properties->GetAssignedValues()->GetReadOnly());
  EXPECT_EQ(ChangeCount, 1);
  Properties->SetReadOnly(false);
  EXPECT_EQ(ChangeCount, 1);
  Properties->SetMinMaxValues(1, 2);
  EXPECT_EQ(ChangeCount, 2);
  Properties->SetMinMaxValues(1, 2);
  EXPECT_EQ(ChangeCount, 2);
}

TEST_F(TcxPropertiesTestFixture, ValuesResolveOwnThenProviderThenDefault)
{
  enum TSource { sOwn, sProvider, sDefault };
  for (TSource source : {sOwn, sProvider, sDefault}) {
    SCOPED_TRACE(static_cast<int>(source));
    rtl::TOwnedPtr<TcxCustomEditProperties> properties(rtl::New<TcxCustomEditProperties>(nullptr));
    if (source != sDefault)
      properties->SetIDefaultValuesProvider(Provider.get());
    if (source == sOwn) {
      properties->SetReadOnly(false);
      properties->SetMaxValue(7);
      properties->SetMinValue(3);
      properties->GetAlignment()->SetHorz(rtl::TAlignment::taCenter);
    }
    const struct {
      bool ReadOnly;
      double MaxValue, MinValue;
      rtl::TAlignment Horz;
    } expected[] = {
        {false, 7, 3, rtl::TAlignment::taCenter},
        {true, 100, -100, rtl::TAlignment::taRightJustify},
        {false, 0, 0, rtl::TAlignment::taLeftJustify},
    };
    EXPECT_EQ(properties->GetReadOnly(), expected[source].ReadOnly);
    EXPECT_EQ(properties->GetMaxValue(), expected[source].MaxValue);
    EXPECT_EQ(properties->GetMinValue(), expected[source].MinValue);
    EXPECT_EQ(properties->GetAlignment()->GetHorz(), expected[source].Horz);
  }
}

TEST_F(TcxPropertiesTestFixture, EditingIsAllowedByTheOwnFlagFirst)
{
  const struct {
    const char* Name;
    bool UseProvider;
    int OwnReadOnly;  // -1 unassigned
    bool ProviderReadOnly, CanModify, SetEditMode;
    bool Allowed;
  } cases[] = {
      {"nothing dictated", false, -1, false, true, true, true},
      {"own read-only", false, 1, false, true, true, false},
      {"own editable beats the provider", true, 0, true, false, false, true},
      {"provider read-only", true, -1, true, true, true, false},
      {"provider cannot modify", true, -1, false, false, true, false},
      {"provider cannot enter edit mode", true, -1, false, true, false, false},
      {"provider allows", true, -1, false, true, true, true},
  };
  for (const auto& c : cases) {
    rtl::TOwnedPtr<TcxCustomEditProperties> properties(rtl::New<TcxCustomEditProperties>(nullptr));
    Provider->ReadOnly = c.ProviderReadOnly;
    Provider->CanModify = c.CanModify;
    Provider->SetEditMode = c.SetEditMode;
    if (c.UseProvider)
      properties->SetIDefaultValuesProvider(Provider.get());
    if (c.OwnReadOnly >= 0)
      properties->SetReadOnly(c.OwnReadOnly == 1);
    EXPECT_EQ(properties->IsEditingAllowed(), c.Allowed) << c.Name;
  }
}

TEST_F(TcxPropertiesTestFixture, AlignmentShowsTheDefaultUntilAssignedAndAfterRestoring)
{
  Properties->SetIDefaultValuesProvider(Provider.get());
  EXPECT_EQ(Properties->GetAlignment()->GetHorz(), rtl::TAlignment::taRightJustify);
  Properties->GetAlignment()->SetHorz(rtl::TAlignment::taCenter);
  EXPECT_EQ(ChangeCount, 1);
  EXPECT_EQ(Properties->GetAlignment()->GetHorz(), rtl::TAlignment::taCenter);
  Properties->RestoreDefaults();
  EXPECT_EQ(Properties->GetAlignment()->GetHorz(), rtl::TAlignment::taRightJustify);
  Properties->SetIDefaultValuesProvider(nullptr);
  EXPECT_EQ(Properties->GetAlignment()->GetHorz(), rtl::TAlignment::taCenter) << "the stored value stays behind the default";
}

TEST_F(TcxPropertiesTestFixture, TheAlignmentStoresOnlyWhatDiffersOrWasAssigned)
{
  TcxEditAlignment* alignment = Properties->GetAlignment();
  const rtl::TPropInfo* horz = rtl::GetPropInfo(alignment, L"Horz");
  const rtl::TPropInfo* vert = rtl::GetPropInfo(alignment, L"Vert");
  ASSERT_NE(horz, nullptr);
  ASSERT_NE(vert, nullptr);
  EXPECT_FALSE(rtl::IsStoredProp(alignment, horz));
  EXPECT_FALSE(rtl::IsStoredProp(alignment, vert));
  alignment->SetHorz(rtl::TAlignment::taLeftJustify);
  alignment->SetVert(TcxEditVertAlignment::taVCenter);
  alignment = Properties->GetAlignment();
  EXPECT_TRUE(rtl::IsStoredProp(alignment, horz)) << "assigned, though equal to the default";
  EXPECT_TRUE(rtl::IsStoredProp(alignment, vert));
  EXPECT_FALSE(rtl::IsStoredProp(Properties->GetAssignedValues(),
                                 rtl::GetPropInfo(Properties->GetAssignedValues(), L"ReadOnly")));
}

TEST_F(TcxPropertiesTestFixture, AssignCopiesSettingsButNotItsOwnEventsOrIcon)
{
  rtl::TOwnedPtr<TcxCustomEditProperties> source(rtl::New<TcxCustomEditProperties>(nullptr));
  source->SetAutoSelect(false);
  source->SetReadOnly(true);
  source->SetValidationOptions({TcxEditValidationOption::evoAllowLoseFocus});
  source->SetOnChange(rtl::TNotifyEvent::Bind<&TcxPropertiesTestFixture::PropertiesChanged>(this));
  source->SetOnPropertiesChanged(nullptr);
  source->GetButtons()->Add();

  Properties->SetMaxValue(9);
  Properties->SetOnPropertiesChanged(nullptr);
  Properties->Assign(source.get());
  EXPECT_FALSE(Properties->GetAutoSelect());
  EXPECT_TRUE(Properties->GetReadOnly());
  EXPECT_EQ(Properties->GetValidationOptions(), TcxEditValidationOptions{TcxEditValidationOption::evoAllowLoseFocus});
  EXPECT_EQ(Properties->GetInternalValidationOptions(), TcxEditValidationOptions{TcxEditValidationOption::evoAllowLoseFocus});
  EXPECT_TRUE(static_cast<bool>(Properties->GetOnChange()));
  EXPECT_FALSE(static_cast<bool>(Properties->GetOnPropertiesChanged()));
  EXPECT_FALSE(Properties->GetAssignedValues()->GetMaxValue()) << "an unassigned source value unassigns";
  EXPECT_EQ(Properties->GetButtons()->GetCount(), 1);
  EXPECT_TRUE(Properties->GetSupportedOperations().Contains(TcxEditSupportedOperation::esoHotTrack));

  rtl::TOwnedPtr<TcxCustomEditProperties> clone(source->Clone(nullptr));
  EXPECT_EQ(clone->ClassType(), source->ClassType());
  EXPECT_TRUE(clone->GetReadOnly());
}

TEST_F(TcxPropertiesTestFixture, SupportedOperationsFollowTheButtons)
{
  EXPECT_TRUE(Properties->GetSupportedOperations().Empty());
  Properties->GetButtons()->Add();
  EXPECT_EQ(ChangeCount, 1) << "a new button is a change";
  EXPECT_EQ(Properties->GetSupportedOperations(), TcxEditSupportedOperations{TcxEditSupportedOperation::esoHotTrack});
}

TEST_F(TcxPropertiesTestFixture, ADestroyedProviderIsLetGo)
{
  Properties->SetIDefaultValuesProvider(Provider.get());
  EXPECT_TRUE(Properties->GetReadOnly());
  Provider.reset();
  EXPECT_EQ(Properties->GetIDefaultValuesProvider(), nullptr);
  EXPECT_FALSE(Properties->GetReadOnly());
}

TEST_F(TcxPropertiesTestFixture, AFreedImageListIsDropped)
{
  vcl::TImageList* images = rtl::New<vcl::TImageList>(nullptr);
  Properties->SetImages(images);
  EXPECT_EQ(Properties->GetImages(), images);
  rtl::Free(images);
  EXPECT_EQ(Properties->GetImages(), nullptr);
}

TEST(cxEditValidateInfoTest, ErrorTypesLoadTheirGlyphs)
{
  rtl::TOwnedPtr<TcxEditValidateInfo> info(rtl::New<TcxEditValidateInfo>());
  EXPECT_FALSE(info->IsError());
  EXPECT_TRUE(info->GetErrorIcon()->GetEmpty());
  for (TcxEditErrorType type : {TcxEditErrorType::eetError, TcxEditErrorType::eetWarning, TcxEditErrorType::eetInfo}) {
    info->SetErrorType(type);
    EXPECT_TRUE(info->IsError());
    EXPECT_FALSE(info->GetErrorIcon()->GetEmpty()) << static_cast<int>(type);
    EXPECT_EQ(info->GetErrorIcon()->GetSourceDPIValue(), 96);
  }
  info->SetErrorType(TcxEditErrorType::eetCustom);
  EXPECT_FALSE(info->GetErrorIcon()->GetEmpty()) << "a custom error keeps the icon";
  info->SetErrorText(L"bad");
  info->Reset();
  EXPECT_FALSE(info->IsError());
  EXPECT_EQ(info->GetErrorText(), L"");
  EXPECT_TRUE(info->GetErrorIcon()->GetEmpty());
}

TEST(cxEditRoutinesTest, EditValuesAreEqualOnlyWhenComparable)
{
  const struct {
    const char* Name;
    rtl::Variant V1, V2;
    bool Equal;
  } cases[] = {
      {"integer 1 and double 1.0", rtl::Variant(1), rtl::Variant(1.0), true},
      {"'1' and 1", rtl::Variant(L"1"), rtl::Variant(1), false},
      {"'a' and 8-bit 'a'", rtl::Variant(L"a"), rtl::Variant::FromAnsiString(rtl::AnsiString("a")), true},
      {"True and 'True'", rtl::Variant(true), rtl::Variant(L"True"), false},
      {"Null and Null", rtl::Null(), rtl::Null(), true},
      {"Null and 0", rtl::Null(), rtl::Variant(0), false},
      {"currency and integer", rtl::Variant(rtl::Currency::FromRaw(20000)), rtl::Variant(2), true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(cxEditVarEquals(c.V1, c.V2), c.Equal) << c.Name;

  for (wchar_t c : {L'\0', L'\t', L'\n', L'\f', L'\r', L' '})
    EXPECT_TRUE(cxEditIsBlankChar(c)) << static_cast<int>(c);
  EXPECT_FALSE(cxEditIsBlankChar(L'\v'));
  EXPECT_FALSE(cxEditIsBlankChar(L'a'));
}

TEST(cxEditRoutinesTest, TheRegistryIsSortedByDescription)
{
  TcxRegisteredClasses* registry = cxEditPropertiesRegistry();
  EXPECT_TRUE(registry->GetSorted());
  EXPECT_EQ(registry, cxEditPropertiesRegistry());
}

}  // namespace
