#include "editors/cxEditExConsts.h"

#include "core/dxCore.h"

namespace {

constexpr const wchar_t* cxEditExConstsProductName = L"KvEditorsEx Library";

void cxEditExRegisterResourceStrings(TdxProductResourceStrings* AProduct)
{
#define ADD_RES_STRING(AName) AProduct->Add(L## #AName, AName)
  ADD_RES_STRING(scxSEditRepositoryColorComboBoxItem);
  ADD_RES_STRING(scxSEditRepositoryColorEditItem);
  ADD_RES_STRING(scxSEditRepositoryFontNameComboBoxItem);
  ADD_RES_STRING(scxSEditRepositoryLabelItem);
  ADD_RES_STRING(scxSEditRepositoryProgressBarItem);
  ADD_RES_STRING(scxSEditRepositoryTrackBarItem);
  ADD_RES_STRING(scxSEditRepositoryRangeTrackBarItem);
  ADD_RES_STRING(scxSEditRepositorySpinButtonItem);
  ADD_RES_STRING(scxSEditRepositoryCheckComboBox);
  ADD_RES_STRING(scxSEditRepositoryShellComboBoxItem);
  ADD_RES_STRING(scxSEditRepositoryCheckGroupItem);
  ADD_RES_STRING(scxSEditRepositoryRatingControlItem);
  ADD_RES_STRING(scxUDAssociated);
  ADD_RES_STRING(scxHotZoneStyleMediaPlayer9);
  ADD_RES_STRING(scxHotZoneStyleMediaPlayer8);
  ADD_RES_STRING(scxHotZoneStyleXPTaskBar);
  ADD_RES_STRING(scxHotZoneStyleSimple);
  ADD_RES_STRING(scxLoadingFonts);
  ADD_RES_STRING(cxSEditCheckGroupCaptionStateDelimiter);
  ADD_RES_STRING(cxSEditCheckGroupFilterColumnSeparator);
  ADD_RES_STRING(cxSEditCheckGroupChecked);
  ADD_RES_STRING(cxSEditCheckGroupGrayed);
  ADD_RES_STRING(cxSEditCheckGroupUnchecked);
  ADD_RES_STRING(cxSCheckComboBoxStatesItemsPropertyDlgCaption);
  ADD_RES_STRING(cxSCheckControlIncorrectItemCount);
  ADD_RES_STRING(cxSCheckGroupStatesItemsPropertyDlgCaption);
  ADD_RES_STRING(cxSCheckComboBoxEmptySelectionText);
  ADD_RES_STRING(cxSColorComboBoxDefaultDescription);
  ADD_RES_STRING(cxSEditRichEditLibraryError);
  ADD_RES_STRING(cxSEditRichEditLineInsertionError);
  ADD_RES_STRING(cxSEditRichEditLoadFail);
  ADD_RES_STRING(cxSEditRichEditSaveFail);
  ADD_RES_STRING(cxSEditRichEditSelectionSaveFail);
  ADD_RES_STRING(cxSEditRichEditOleInterfaceFail);
  ADD_RES_STRING(cxSEditRichEditCallBackFail);
  ADD_RES_STRING(cxSEditRichEditLinkFail);
  ADD_RES_STRING(scxSEditRepositoryRichEditItem);
  ADD_RES_STRING(cxSEditRichEditUndoCaption);
  ADD_RES_STRING(cxSEditRichEditRedoCaption);
  ADD_RES_STRING(cxSEditRichEditCutCaption);
  ADD_RES_STRING(cxSEditRichEditCopyCaption);
  ADD_RES_STRING(cxSEditRichEditPasteCaption);
  ADD_RES_STRING(cxSEditRichEditDeleteCaption);
  ADD_RES_STRING(cxSEditRichEditSelectAllCaption);
#undef ADD_RES_STRING
}

void cxEditExConstsInitialization()
{
  dxGetResourceStringsRepository()->RegisterProduct(cxEditExConstsProductName, &cxEditExRegisterResourceStrings);
}

void cxEditExConstsFinalization()
{
  dxGetResourceStringsRepository()->UnRegisterProduct(cxEditExConstsProductName);
}

}  // namespace

RTL_UNIT(cxEditExConsts, &cxEditExConstsInitialization, &cxEditExConstsFinalization);
