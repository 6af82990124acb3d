// The further editors' resource strings (product "KvEditorsEx Library"):
// registry texts of editors beyond the base set (the label's among them),
// and texts of check groups, rich edits and hot zones.
#pragma once

#include "platform/rtl/SystemResStrings.h"
#include "platform/rtl/SystemUnits.h"

RTL_DECLARE_UNIT(cxEditExConsts);

inline constexpr rtl::TResStringRec scxSEditRepositoryColorComboBoxItem{64790};
inline constexpr rtl::TResStringRec scxSEditRepositoryColorEditItem{64791};
inline constexpr rtl::TResStringRec scxSEditRepositoryFontNameComboBoxItem{64792};
inline constexpr rtl::TResStringRec scxSEditRepositoryLabelItem{64793};
inline constexpr rtl::TResStringRec scxSEditRepositoryProgressBarItem{64794};
inline constexpr rtl::TResStringRec scxSEditRepositoryTrackBarItem{64795};
inline constexpr rtl::TResStringRec scxSEditRepositoryRangeTrackBarItem{64796};
inline constexpr rtl::TResStringRec scxSEditRepositorySpinButtonItem{64797};
inline constexpr rtl::TResStringRec scxSEditRepositoryCheckComboBox{64798};
inline constexpr rtl::TResStringRec scxSEditRepositoryShellComboBoxItem{64799};
inline constexpr rtl::TResStringRec scxSEditRepositoryCheckGroupItem{64768};
inline constexpr rtl::TResStringRec scxSEditRepositoryRatingControlItem{64769};
inline constexpr rtl::TResStringRec scxUDAssociated{64770};
inline constexpr rtl::TResStringRec scxHotZoneStyleMediaPlayer9{64771};
inline constexpr rtl::TResStringRec scxHotZoneStyleMediaPlayer8{64772};
inline constexpr rtl::TResStringRec scxHotZoneStyleXPTaskBar{64773};
inline constexpr rtl::TResStringRec scxHotZoneStyleSimple{64774};
inline constexpr rtl::TResStringRec scxLoadingFonts{64775};
inline constexpr rtl::TResStringRec cxSEditCheckGroupCaptionStateDelimiter{64776};
inline constexpr rtl::TResStringRec cxSEditCheckGroupFilterColumnSeparator{64777};
inline constexpr rtl::TResStringRec cxSEditCheckGroupChecked{64778};
inline constexpr rtl::TResStringRec cxSEditCheckGroupGrayed{64779};
inline constexpr rtl::TResStringRec cxSEditCheckGroupUnchecked{64780};
inline constexpr rtl::TResStringRec cxSCheckComboBoxStatesItemsPropertyDlgCaption{64781};
inline constexpr rtl::TResStringRec cxSCheckControlIncorrectItemCount{64752};
inline constexpr rtl::TResStringRec cxSCheckGroupStatesItemsPropertyDlgCaption{64782};
inline constexpr rtl::TResStringRec cxSCheckComboBoxEmptySelectionText{64783};
inline constexpr rtl::TResStringRec cxSColorComboBoxDefaultDescription{64753};
inline constexpr rtl::TResStringRec cxSEditRichEditLibraryError{64754};
inline constexpr rtl::TResStringRec cxSEditRichEditLineInsertionError{64755};
inline constexpr rtl::TResStringRec cxSEditRichEditLoadFail{64756};
inline constexpr rtl::TResStringRec cxSEditRichEditSaveFail{64757};
inline constexpr rtl::TResStringRec cxSEditRichEditSelectionSaveFail{64758};
inline constexpr rtl::TResStringRec cxSEditRichEditOleInterfaceFail{64759};
inline constexpr rtl::TResStringRec cxSEditRichEditCallBackFail{64760};
inline constexpr rtl::TResStringRec cxSEditRichEditLinkFail{64761};
inline constexpr rtl::TResStringRec scxSEditRepositoryRichEditItem{64762};
inline constexpr rtl::TResStringRec cxSEditRichEditUndoCaption{64763};
inline constexpr rtl::TResStringRec cxSEditRichEditRedoCaption{64764};
inline constexpr rtl::TResStringRec cxSEditRichEditCutCaption{64765};
inline constexpr rtl::TResStringRec cxSEditRichEditCopyCaption{64766};
inline constexpr rtl::TResStringRec cxSEditRichEditPasteCaption{64767};
inline constexpr rtl::TResStringRec cxSEditRichEditDeleteCaption{64736};
inline constexpr rtl::TResStringRec cxSEditRichEditSelectAllCaption{64737};
