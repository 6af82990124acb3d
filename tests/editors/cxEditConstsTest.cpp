// The editors' two groups of resource strings: registered under their
// product names with every entry, the texts the system shows, and gone once
// their unit has finished.
#include <gtest/gtest.h>

#include "core/dxCore.h"
#include "editors/cxEditConsts.h"
#include "editors/cxEditExConsts.h"

namespace {

TEST(cxEditConstsTest, GroupsHoldEveryEntryInRegistrationOrder)
{
  // Names the unit, so that the linker brings it in.
  ASSERT_STREQ(unit_cxEditExConsts.name, "cxEditExConsts");
  TdxResourceStringsRepository* repository = dxGetResourceStringsRepository();
  const int editors = repository->GetProductIndexByName(L"KvEditors Library");
  const int editorsEx = repository->GetProductIndexByName(L"KvEditorsEx Library");
  ASSERT_GE(editors, 0);
  ASSERT_GT(editorsEx, editors);
  EXPECT_EQ(repository->GetProducts(editors)->ResStringsCount(), 224);
  EXPECT_EQ(repository->GetProducts(editorsEx)->ResStringsCount(), 44);
  EXPECT_GE(repository->GetProducts(editors)->GetIndexByName(L"sdxFilterPopupWindowOKButtonCaption"), 0);
  EXPECT_LT(repository->GetProducts(editors)->GetIndexByName(L"scxSEditRepositoryLabelItem"), 0);
}

TEST(cxEditConstsTest, TextsTheSystemShows)
{
  const struct {
    rtl::TResStringRec ResString;
    std::uint16_t Id;
    const wchar_t* Text;
  } cases[] = {
      {cxSEditInvalidRepositoryItem, 65046, L"The repository item is not acceptable"},
      {cxSEditValidateErrorText, 65051, L"Invalid input value. Use escape key to abandon changes"},
      {cxSEditCheckBoxChecked, 65053, L"True"},
      {cxSEditCheckBoxGrayed, 65054, L""},
      {cxSEditCheckBoxUnchecked, 65055, L"False"},
      {cxSNoMatchesFound, 65027, L"No matches found"},
      {scxSEditRepositoryTextItem, 64960, L"TextEdit|Represents a single line text editor"},
      {scxSEditRepositoryMaskItem, 64986, L"MaskEdit|Represents a generic masked editor."},
      {scxRegExprIncorrectSpace, 64956, L"The space character is not allowed after '\\'"},
      {scxRegExprCantUsePlusQuantifier, 64973, L"The '+' quantifier cannot be applied here"},
      {sdxColorGalleryStandardColors, 64942, L"Standard Colors"},
      {scxSEditRepositoryLabelItem, 64793, L"Label|Represents a label"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Id);
    EXPECT_EQ(c.ResString.Identifier, c.Id);
    EXPECT_EQ(dxLookupResourceString(c.ResString), c.Text);
  }
  EXPECT_EQ(dxGetResourceStringsRepository()->GetOriginalValue(L"cxSEditValidateErrorText"),
            L"Invalid input value. Use escape key to abandon changes");
  EXPECT_EQ(dxLookupResourceString(cxSRadioGroupDefaultCaption), L"");
}

TEST(cxEditConstsTest, FinishingTheUnitRemovesTheGroup)
{
  TdxResourceStringsRepository* repository = dxGetResourceStringsRepository();
  unit_cxEditConsts.finalization();
  EXPECT_LT(repository->GetProductIndexByName(L"KvEditors Library"), 0);
  EXPECT_EQ(repository->GetOriginalValue(L"cxSEditValidateErrorText"), L"");
  unit_cxEditConsts.initialization();
  EXPECT_GE(repository->GetProductIndexByName(L"KvEditors Library"), 0);
}

}  // namespace
