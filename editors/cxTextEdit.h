// The single-line text editor's unit:
//   TcxCustomTextEditProperties, TcxTextEditProperties and their record of
//     assigned values: character case, password echo, maximum length, lookup
//     items, null string, display and edit formats;
//   the state helpers the inner edits share (the state before a key);
//   the unit's text routines (character case, password character,
//   thousand separators).
#pragma once

#include <bitset>
#include <vector>

#include "controls/cxCustomPopupWindow.h"
#include "core/cxFormats.h"
#include "editors/cxEdit.h"
#include "graphics/cxDrawTextUtils.h"
#include "platform/rtl/Classes.h"
#include "platform/vcl/StdCtrls.h"

RTL_DECLARE_UNIT(cxTextEdit);

// ---------------------------------------------------------------------------
// Types

RTL_ENUM(TcxEditEchoMode, eemNormal, eemPassword);
RTL_ENUM(TcxEditEditingStyle, esEdit, esEditList, esFixedList, esNoEdit);
RTL_ENUM(TcxTextEditViewStyle, vsNormal, vsHideCursor, vsButtonsOnly, vsButtonsAutoWidth);
RTL_ENUM(TcxTextEditIncrementalFilteringOption, ifoHighlightSearchText, ifoUseContainsOperator);
using TcxTextEditIncrementalFilteringOptions = rtl::TSet<TcxTextEditIncrementalFilteringOption>;
// The input method's state the window asks for.
RTL_ENUM(TImeMode, imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata, imKata, imChinese,
         imSHanguel, imHanguel);
using TImeName = rtl::String;
// One-byte characters, looked up by a character's low byte.
using TcxTextEditChars = std::bitset<256>;

class TcxCustomTextEditProperties;
class TcxCustomTextEditLookupData;
using TcxNewLookupDisplayTextEvent =
    rtl::TMethod<void(rtl::TObject* Sender, const rtl::String& AText)>;

// ---------------------------------------------------------------------------
// TcxTextEditPropertiesValues

class TcxTextEditPropertiesValues : public TcxCustomEditPropertiesValues {
  RTL_CLASS(TcxTextEditPropertiesValues, TcxCustomEditPropertiesValues)
  RTL_PUBLISHED(RTL_PROPERTY(DisplayFormat, GetDisplayFormat, SetDisplayFormat, RTL_STORED(IsDisplayFormatStored)),
                RTL_PROPERTY(EditFormat, GetEditFormat, SetEditFormat, RTL_STORED(IsEditFormatStored)),
                RTL_PROPERTY(MaxLength, GetMaxLength, SetMaxLength, RTL_NOT_STORED),
                RTL_PROPERTY(MaxValue, GetMaxValue, SetMaxValue, RTL_DEFAULT(false)),
                RTL_PROPERTY(MinValue, GetMinValue, SetMinValue, RTL_DEFAULT(false)))

 public:
  // The base flags and the three of this class, in one update of the owner.
  void Assign(rtl::TPersistent* ASource) override;
  void RestoreDefaults() override;

  bool GetDisplayFormat() const { return FDisplayFormat; }
  void SetDisplayFormat(bool AValue);
  bool GetEditFormat() const { return FEditFormat; }
  void SetEditFormat(bool AValue);
  bool GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(bool AValue);

 private:
  TcxCustomTextEditProperties* TextProperties() const;
  // Stored only when set, while the owner's own format is empty and the
  // owner publishes a property of that name.
  bool IsFormatStored(bool AFlag, const wchar_t* APropertyName) const;
  bool IsDisplayFormatStored() const { return IsFormatStored(FDisplayFormat, L"DisplayFormat"); }
  bool IsEditFormatStored() const { return IsFormatStored(FEditFormat, L"EditFormat"); }

  bool FDisplayFormat;
  bool FEditFormat;
  bool FMaxLength;
};

// ---------------------------------------------------------------------------
// TcxCustomTextEditProperties

// The settings of every text-based editor. Hooks that serve numeric
// descendants answer "not numeric" here, so their paths never run for text.
class TcxCustomTextEditProperties : public TcxCustomEditProperties, public IcxFormatControllerListener {
  RTL_CLASS(TcxCustomTextEditProperties, TcxCustomEditProperties)
  RTL_INTERFACES(IcxFormatControllerListener)

 public:
  void Create(rtl::TPersistent* AOwner) override;
  void Destroy() override;

  // IcxFormatControllerListener
  void __stdcall FormatChanged() override;

  // Virtual operations added by the text properties.
  virtual void CheckEditValueBounds(const rtl::Variant& V, rtl::String& AErrorText, bool& AError);
  virtual rtl::String GetDefaultDisplayFormat() { return {}; }
  virtual TcxTextEditIncrementalFilteringOptions GetDefaultIncrementalFilteringOptions();
  virtual int GetDefaultMaxLength();
  // Rows per Page Up / Page Down step of the lookup.
  virtual int GetDropDownPageRowCount() { return 8; }
  virtual TcxEditEditingStyle GetEditingStyle();
  virtual bool IsInLookupItems(const rtl::String& AText);
  virtual bool IsThousandSeparatorUsed(bool /*AIsSynchronizing*/) { return false; }
  virtual void GetEditFormatInfo(bool& AIsCurrency, bool& AIsOnGetTextAssigned, rtl::String& AEditFormat);
  virtual void DisplayFormatChanged() { Changed(); }
  virtual void MaxLengthChanged() { Changed(); }
  virtual bool IsNullEditValue(const rtl::Variant& V);
  virtual bool IsEditValueNumeric() { return false; }
  virtual bool IsLookupDataVisual() { return false; }
  virtual bool IsFilteringExternal() { return false; }
  virtual bool IsMultiLine() { return false; }
  virtual bool IsPopupKey(WORD /*Key*/, vcl::TShiftState /*Shift*/) { return false; }
  virtual bool IsValueBoundDefined(bool AMax);
  bool IsValueBoundsDefined() { return IsValueBoundDefined(false) || IsValueBoundDefined(true); }
  // Applies CharCase in the normal echo mode.
  virtual void DisplayValueToDisplayText(rtl::String& AText);
  // An empty text is valid; with a list style and lookup data the text must
  // be an item (ignoring case). A valid value gets the character case.
  virtual bool IsDisplayValueValid(rtl::Variant& ADisplayValue, bool AEditFocused);
  virtual void DoPrepareDisplayValue(const rtl::Variant& AEditValue, rtl::Variant& ADisplayValue,
                                     bool AEditFocused);
  // Whether the properties carry lookup data (always for text properties).
  virtual bool HasLookupData() { return true; }
  virtual rtl::ClassOf<TcxCustomTextEditLookupData> GetLookupDataClass();
  bool UseIncrementalFiltering();

  // Overrides of the base.
  bool HasDisplayValueValidation() override { return true; }
  void AssignFrom(TcxCustomEditProperties* ASource) override;
  TcxCustomEditPropertiesValuesClass AssignedValuesClass() override;
  TcxEditVertAlignment DefaultVertAlignment() override { return TcxEditVertAlignment::taVCenter; }
  unsigned DisplayFormatOptions() override { return dfoSupports; }
  rtl::String ValidationErrorTextFor(int AErrorKind) override;
  bool InnerEditReportsChanges() override { return true; }
  bool CanCompareEditValue() override { return true; }
  bool CompareDisplayValues(const rtl::Variant& AEditValue1, const rtl::Variant& AEditValue2) override;
  rtl::String GetDisplayText(const rtl::Variant& AEditValue, bool AFullText = false, bool AIsInplace = true) override;
  TcxEditSupportedOperations GetSupportedOperations() override;
  bool IsEditValueValid(rtl::Variant& EditValue, bool AEditFocused) override;
  bool IsResetEditClass() override { return GetEditingStyle() != TcxEditEditingStyle::esNoEdit; }
  void PrepareDisplayValue(const rtl::Variant& AEditValue, rtl::Variant& DisplayValue, bool AEditFocused) override;
  TcxDataEditValueSource GetEditValueSource(bool AEditFocused) override;
  TcxCustomEditClass GetContainerClass() override;
  TcxCustomEditViewInfoClass GetViewInfoClass() override;
  TcxCustomEditViewDataClass ViewDataClass() override;

  // The text an edit value shows: its string form, or the formatted value.
  rtl::String FormatEditValue(const rtl::Variant& AEditValue, bool AEditFocused);
  // The text the view draws: password characters in password mode, then
  // the character case.
  void PrepareDrawText(bool ANativeStyle, rtl::String& AText);

  TcxTextEditPropertiesValues* GetTextAssignedValues() const
  {
    return static_cast<TcxTextEditPropertiesValues*>(GetAssignedValues());
  }
  vcl::TEditCharCase GetCharCase() const { return FCharCase; }
  void SetCharCase(vcl::TEditCharCase AValue);
  rtl::String GetDisplayFormat();
  void SetDisplayFormat(const rtl::String& AValue);
  rtl::String GetEditFormat();
  void SetEditFormat(const rtl::String& AValue);
  TcxEditEchoMode GetEchoMode() const { return FEchoMode; }
  void SetEchoMode(TcxEditEchoMode AValue);
  bool GetFixedListSelection() const { return FFixedListSelection; }
  void SetFixedListSelection(bool AValue);
  bool GetHideCursor() const { return FHideCursor; }
  void SetHideCursor(bool AValue);
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool AValue);
  TImeMode GetImeMode() const { return FImeMode; }
  void SetImeMode(TImeMode AValue);
  const TImeName& GetImeName() const { return FImeName; }
  void SetImeName(const TImeName& AValue);
  bool GetImmediateUpdateText() const { return FImmediateUpdateText; }
  void SetImmediateUpdateText(bool AValue) { FImmediateUpdateText = AValue; }
  bool GetIncrementalFiltering() const { return FIncrementalFiltering; }
  void SetIncrementalFiltering(bool AValue) { FIncrementalFiltering = AValue; }
  TcxTextEditIncrementalFilteringOptions GetIncrementalFilteringOptions() const
  {
    return FIncrementalFilteringOptions;
  }
  // Stored without announcing a change.
  void SetIncrementalFilteringOptions(TcxTextEditIncrementalFilteringOptions AValue)
  {
    FIncrementalFilteringOptions = AValue;
  }
  bool GetIncrementalSearch() const { return FIncrementalSearch; }
  void SetIncrementalSearch(bool AValue);
  rtl::TStringList* GetLookupItems() const { return FLookupItems; }
  void SetLookupItems(rtl::TStrings* AValue) { FLookupItems->Assign(AValue); }
  bool GetLookupItemsSorted() const { return FLookupItems->GetSorted(); }
  void SetLookupItemsSorted(bool AValue) { FLookupItems->SetSorted(AValue); }
  int GetMaxLength();
  void SetMaxLength(int AValue);
  bool GetMRUMode() const { return FMRUMode; }
  void SetMRUMode(bool AValue);
  const rtl::String& GetNullstring() const { return FNullstring; }
  void SetNullstring(const rtl::String& AValue);
  bool GetOEMConvert() const { return FOEMConvert; }
  void SetOEMConvert(bool AValue);
  wchar_t GetPasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(wchar_t AValue);
  bool GetUseDisplayFormatWhenEditing() const { return FUseDisplayFormatWhenEditing; }
  void SetUseDisplayFormatWhenEditing(bool AValue);
  bool GetUseNullString() const { return FUseNullString; }
  void SetUseNullString(bool AValue);
  const TcxTextEditChars& GetValidChars() const { return FValidChars; }
  void SetValidChars(const TcxTextEditChars& AValue) { FValidChars = AValue; }
  TcxTextEditViewStyle GetViewStyle();
  void SetViewStyle(TcxTextEditViewStyle AValue);
  bool IsFormatChanging() const { return FFormatChanging; }
  TcxNewLookupDisplayTextEvent GetOnNewLookupDisplayText() const { return FOnNewLookupDisplayText; }
  void SetOnNewLookupDisplayText(TcxNewLookupDisplayTextEvent AValue) { FOnNewLookupDisplayText = AValue; }

  // The alignment's horizontal part, for classes that publish it as such.
  rtl::TAlignment GetHorzAlignment() { return GetAlignment()->GetHorz(); }

 protected:
  void AlignmentChanged(rtl::TObject* Sender) override;
  void DefineProperties(rtl::TFiler* AFiler) override;

 private:
  void LookupItemsChanged(rtl::TObject* Sender);
  void ReadIsDisplayFormatAssigned(rtl::TReader* AReader);
  // Stores AValue in AField and announces, only when it differs.
  template <typename T>
  void SetAndAnnounce(T& AField, const T& AValue);

  vcl::TEditCharCase FCharCase;
  rtl::String FDisplayFormat;
  TcxEditEchoMode FEchoMode;
  rtl::String FEditFormat;
  bool FFixedListSelection;
  bool FFormatChanging;
  bool FHideCursor;
  bool FHideSelection;
  TImeMode FImeMode;
  TImeName FImeName;
  bool FImmediateUpdateText;
  bool FIncrementalFiltering;
  TcxTextEditIncrementalFilteringOptions FIncrementalFilteringOptions;
  bool FIncrementalSearch;
  rtl::TStringList* FLookupItems;
  int FMaxLength;
  bool FMRUMode;
  rtl::String FNullstring;
  bool FOEMConvert;
  wchar_t FPasswordChar;
  bool FUseDisplayFormatWhenEditing;
  bool FUseNullString;
  TcxTextEditChars FValidChars;
  TcxNewLookupDisplayTextEvent FOnNewLookupDisplayText;
};

class TcxTextEditProperties : public TcxCustomTextEditProperties {
  RTL_CLASS(TcxTextEditProperties, TcxCustomTextEditProperties)
  RTL_PUBLISHED(
      RTL_PROPERTY(Alignment, GetAlignment, SetAlignment),
      RTL_PROPERTY(AssignedValues, GetTextAssignedValues, SetTextAssignedValues),
      RTL_PROPERTY(AutoSelect, GetAutoSelect, SetAutoSelect, RTL_DEFAULT(true)),
      RTL_PROPERTY(BeepOnError, GetBeepOnError, SetBeepOnError, RTL_DEFAULT(false)),
      RTL_PROPERTY(CharCase, GetCharCase, SetCharCase, RTL_DEFAULT(vcl::TEditCharCase::ecNormal)),
      RTL_PROPERTY(ClearKey, GetClearKey, SetClearKey, RTL_DEFAULT(0)),
      RTL_PROPERTY(EchoMode, GetEchoMode, SetEchoMode, RTL_DEFAULT(TcxEditEchoMode::eemNormal)),
      RTL_PROPERTY(HideSelection, GetHideSelection, SetHideSelection, RTL_DEFAULT(true)),
      RTL_PROPERTY(ImeMode, GetImeMode, SetImeMode, RTL_DEFAULT(TImeMode::imDontCare)),
      RTL_PROPERTY(ImeName, GetImeName, SetImeName),
      RTL_PROPERTY(IncrementalSearch, GetIncrementalSearch, SetIncrementalSearch, RTL_DEFAULT(true)),
      RTL_PROPERTY(LookupItems, GetLookupItemsList, SetLookupItems),
      RTL_PROPERTY(LookupItemsSorted, GetLookupItemsSorted, SetLookupItemsSorted, RTL_DEFAULT(false)),
      RTL_PROPERTY(MaxLength, GetMaxLength, SetMaxLength, RTL_STORED(IsMaxLengthStored)),
      RTL_PROPERTY(Nullstring, GetNullstring, SetNullstring),
      RTL_PROPERTY(OEMConvert, GetOEMConvert, SetOEMConvert, RTL_DEFAULT(false)),
      RTL_PROPERTY(PasswordChar, GetPasswordCharCode, SetPasswordCharCode, RTL_DEFAULT(0)),
      RTL_PROPERTY(ReadOnly, GetReadOnly, SetReadOnly, RTL_DEFAULT(false)),
      RTL_PROPERTY(UseLeftAlignmentOnEditing, GetUseLeftAlignmentOnEditing, SetUseLeftAlignmentOnEditing,
                   RTL_DEFAULT(true)),
      RTL_PROPERTY(UseNullString, GetUseNullString, SetUseNullString, RTL_DEFAULT(false)),
      RTL_PROPERTY(ValidateOnEnter, GetValidateOnEnter, SetValidateOnEnter, RTL_DEFAULT(false)),
      RTL_PROPERTY(ValidationErrorIconAlignment, GetValidationErrorIconAlignment, SetValidationErrorIconAlignment,
                   RTL_DEFAULT(rtl::TAlignment::taLeftJustify)),
      RTL_PROPERTY(ValidationOptions, GetValidationOptions, SetValidationOptions,
                   RTL_DEFAULT(TcxEditValidationOptions{TcxEditValidationOption::evoRaiseException})),
      RTL_PROPERTY(OnChange, GetOnChange, SetOnChange),
      RTL_PROPERTY(OnEditValueChanged, GetOnEditValueChanged, SetOnEditValueChanged),
      RTL_PROPERTY(OnNewLookupDisplayText, GetOnNewLookupDisplayText, SetOnNewLookupDisplayText))

 public:
  void SetTextAssignedValues(TcxTextEditPropertiesValues* AValue) { SetAssignedValues(AValue); }
  rtl::TStrings* GetLookupItemsList() const { return GetLookupItems(); }
  bool IsMaxLengthStored() const { return GetTextAssignedValues()->GetMaxLength(); }
  int GetPasswordCharCode() const { return GetPasswordChar(); }
  void SetPasswordCharCode(int AValue) { SetPasswordChar(static_cast<wchar_t>(AValue)); }
};

// ---------------------------------------------------------------------------
// Text edit view data and view info

// Draws the content of the text area in place of the text.
using TcxTextEditCustomDrawHandler = rtl::TMethod<void(TcxCanvas* ACanvas, TRect& ARect)>;

// The text layout a view info keeps between paints: built by the first draw
// after a calculation, moved by Offset. The rows point into the view info's
// Text.
struct TcxTextOutData {
  bool ForceEndEllipsis = false;
  bool Initialized = false;
  int RowCount = 0;
  int SelStart = 0;
  int SelLength = 0;
  vcl::TColor SelBackgroundColor = vcl::clDefault;
  vcl::TColor SelTextColor = vcl::clDefault;
  TcxTextParams TextParams{};
  TRect TextRect{};
  TcxTextRows TextRows;
};

class TcxCustomTextEditViewInfo : public TcxCustomEditViewInfo {
  RTL_CLASS(TcxCustomTextEditViewInfo, TcxCustomEditViewInfo)

 public:
  void Create() override;
  void Destroy() override;

  virtual void DrawText(TcxCanvas* ACanvas);
  // The baseline of the first text row, by the vertical alignment.
  virtual int GetTextBaseLine();

  TcxEditBackgroundPaintingStyle BackgroundPaintingStyle() override;
  // A native combo-style button's theme part is the whole button, its arrow
  // included: it leaves no content rectangle, and is drawn here.
  void DrawButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo, TRect& ARect, TRect& AContentRect,
                        vcl::TColor& APenColor, vcl::TColor& ABrushColor) override;
  void InternalPaint(TcxCanvas* ACanvas) override;
  // True (with the whole text) when P lies on a text cut by the text
  // rectangle; else the base decides.
  bool NeedShowHint(TcxCanvas* ACanvas, const TPoint& P, const TRect& AVisibleBounds, rtl::String& AText,
                    bool& AIsMultiLine, TRect& ATextRect, int AMaxLineCount = 0) override;
  void Offset(int DX, int DY) override;
  void PrepareCanvasFont(TcxCanvas* ACanvas) override;

  // Password mode drawn with the native theme's round password character.
  bool IsPasswordSymbolFont();
  // A new text to draw: the kept layout pointed into the old one.
  void SetText(const rtl::String& AValue);

  bool ComboBoxStyle;
  TcxTextEditCustomDrawHandler CustomDrawHandler;
  bool DrawSelectionBar;
  unsigned DrawTextFlags;
  TcxEditEditingStyle EditingStyle;
  bool HasPopupWindow;
  bool IsEditClass;
  bool IsOwnerDrawing;
  int MaxLineCount;
  int SelStart;
  int SelLength;
  vcl::TColor SelTextColor;
  vcl::TColor SelBackgroundColor;
  rtl::String Text;
  TcxTextOutData TextOutData;
  TRect TextRect;
};

class TcxCustomTextEditViewData : public TcxCustomEditViewData {
  RTL_CLASS(TcxCustomTextEditViewData, TcxCustomEditViewData)

 public:
  // Virtual operations added by the text view data.
  virtual bool GetIsEditClass();
  virtual int GetMaxLineCount() { return MaxLineCount; }
  virtual bool IsComboBoxStyle() { return false; }
  virtual void CalculateTextFlags(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo);
  // The masked and cased text of a display value.
  virtual void DisplayValueToDrawValue(const rtl::Variant& ADisplayValue, TcxCustomEditViewInfo* AViewInfo);
  virtual unsigned GetDrawTextFlags();
  virtual TRect GetDrawTextOffset();

  // Overrides of the base.
  void Calculate(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, TcxMouseButton Button,
                 vcl::TShiftState Shift, TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  TSize CalculateValueContentSize(TcxCanvas* ACanvas, const rtl::Variant& AEditValue,
                                  const TcxEditSizeProperties& AEditSizeProperties) override;
  rtl::Variant EditValueToDisplayValue(const rtl::Variant& AEditValue) override;
  void EditValueToDrawValue(const rtl::Variant& AEditValue, TcxCustomEditViewInfo* AViewInfo) override;
  TRect GetClientExtent(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo) override;
  void InitData() override;

  // The view data's selection and its colours into the view info.
  void PrepareSelection(TcxCustomEditViewInfo* AViewInfo);
  TcxCustomTextEditProperties* GetTextProperties() const
  {
    return static_cast<TcxCustomTextEditProperties*>(GetProperties());
  }
  // Not in place and a list style: the text sits one pixel in from the
  // leading side.
  bool ReservesAlignmentPixel();

 protected:
  bool FIsValueFormatted;
};

// The text area's painting: frame, background, content or text, focus.
void cxTextEditPaint(TcxCustomTextEditViewInfo* AViewInfo, TcxCanvas* ACanvas);
// The content offsets of a view data, with the list styles' extra pixel.
TRect cxTextEditCalcDrawTextOffset(TcxCustomEditViewData* AViewData);
// The size a text takes with the flags; ARowLimit > 0 fixes the rows.
TSize cxTextEditCalculateContentSize(TcxCustomTextEditViewData* AViewData, TcxCanvas* ACanvas,
                                     const rtl::String& AText, unsigned AFlags,
                                     const TcxEditSizeProperties& AEditSizeProperties, int ARowLimit,
                                     bool AAddCorrection);
// Draws AText in ARect with the selection in its colours; the layout is
// kept in the view info's TextOutData.
void cxTextEditTextOut(TcxCanvas* ACanvas, TcxCustomTextEditViewInfo* AViewInfo, const rtl::String& AText,
                       int AMaxLineCount, vcl::TColor ASelTextColor, vcl::TColor ASelBackgroundColor, int ASelLength,
                       int ASelStart, unsigned AFlags, const TRect& ARect);

// ---------------------------------------------------------------------------
// The inner text edit: a native EDIT window whose keys, mouse, focus and
// value go to its owner, the editor, first.

struct IcxInnerTextEdit : IcxCustomInnerEdit {
  RTL_GUID(IcxInnerTextEdit, "{263EBB8D-1EA9-4CAC-8367-ADD74D2A9651}")
  virtual void __stdcall ClearSelection() = 0;
  virtual void __stdcall CopyToClipboard() = 0;
  virtual rtl::TAlignment __stdcall GetAlignment() = 0;
  virtual bool __stdcall GetAutoSelect() = 0;
  virtual vcl::TEditCharCase __stdcall GetCharCase() = 0;
  virtual TcxEditEchoMode __stdcall GetEchoMode() = 0;
  virtual int __stdcall GetFirstVisibleCharIndex() = 0;
  virtual bool __stdcall GetHideSelection() = 0;
  virtual wchar_t __stdcall GetImeLastChar() = 0;
  virtual TImeMode __stdcall GetImeMode() = 0;
  virtual TImeName __stdcall GetImeName() = 0;
  virtual bool __stdcall GetInternalUpdating() = 0;
  virtual int __stdcall GetMaxLength() = 0;
  virtual bool __stdcall GetMultiLine() = 0;
  virtual bool __stdcall GetOEMConvert() = 0;
  virtual rtl::TNotifyEvent __stdcall GetOnSelChange() = 0;
  virtual wchar_t __stdcall GetPasswordChar() = 0;
  virtual int __stdcall GetSelLength() = 0;
  virtual int __stdcall GetSelStart() = 0;
  virtual rtl::String __stdcall GetSelText() = 0;
  virtual bool __stdcall GetUseLeftAlignmentOnEditing() = 0;
  virtual void __stdcall SelectAll() = 0;
  virtual void __stdcall SetAlignment(rtl::TAlignment AValue) = 0;
  virtual void __stdcall SetAutoSelect(bool AValue) = 0;
  virtual void __stdcall SetCharCase(vcl::TEditCharCase AValue) = 0;
  virtual void __stdcall SetEchoMode(TcxEditEchoMode AValue) = 0;
  virtual void __stdcall SetHideSelection(bool AValue) = 0;
  virtual void __stdcall SetInternalUpdating(bool AValue) = 0;
  virtual void __stdcall SetImeMode(TImeMode AValue) = 0;
  virtual void __stdcall SetImeName(const TImeName& AValue) = 0;
  virtual void __stdcall SetMaxLength(int AValue) = 0;
  virtual void __stdcall SetOEMConvert(bool AValue) = 0;
  virtual void __stdcall SetOnSelChange(rtl::TNotifyEvent AValue) = 0;
  virtual void __stdcall SetPasswordChar(wchar_t AValue) = 0;
  virtual void __stdcall SetSelLength(int AValue) = 0;
  virtual void __stdcall SetSelStart(int AValue) = 0;
  virtual void __stdcall SetSelText(const rtl::String& AValue) = 0;
  virtual void __stdcall SetUseLeftAlignmentOnEditing(bool AValue) = 0;
  virtual rtl::String __stdcall GetTextHint() = 0;
  virtual void __stdcall SetTextHint(const rtl::String& AValue) = 0;
};

// The inner edit before the platform processed a key, to tell whether the
// key changed anything.
struct TcxCustomInnerTextEditPrevState {
  bool IsPrevTextSaved = false;
  rtl::String PrevText;
  int PrevSelLength = 0;
  int PrevSelStart = 0;
};

void cxTextEditSavePrevState(IcxInnerTextEdit* AInnerEdit, bool ASaveText, TcxCustomInnerTextEditPrevState& AState);
// True without a window, or when the selection or (saved) text differs.
bool cxTextEditIsStateChanged(IcxInnerTextEdit* AInnerEdit, const TcxCustomInnerTextEditPrevState& AState);

class TcxCustomInnerTextEdit;
class TcxCustomTextEdit;

class TcxCustomInnerTextEditHelper : public TcxInterfacedPersistent, public IcxInnerTextEdit {
  RTL_CLASS(TcxCustomInnerTextEditHelper, TcxInterfacedPersistent)
  RTL_INTERFACES(IcxContainerInnerControl, IcxCustomInnerEdit, IcxInnerTextEdit)

 public:
  virtual void Create(TcxCustomInnerTextEdit* AEdit);
  bool GetIsInplace();

  // IcxContainerInnerControl
  vcl::TWinControl* __stdcall GetControl() override;
  TcxContainer* __stdcall GetControlContainer() override;
  // IcxCustomInnerEdit
  LRESULT __stdcall CallDefWndProc(UINT AMsg, WPARAM AWParam, LPARAM ALParam) override;
  bool __stdcall CanProcessClipboardMessages() override { return false; }
  rtl::Variant __stdcall GetEditValue() override;
  rtl::TNotifyEvent __stdcall GetOnChange() override;
  bool __stdcall GetReadOnly() override;
  void __stdcall LockBounds(bool ALock) override;
  void __stdcall SafelySetFocus() override;
  void __stdcall SetEditValue(const rtl::Variant& AValue) override;
  void __stdcall SetParent(vcl::TWinControl* AValue) override;
  void __stdcall SetOnChange(rtl::TNotifyEvent AValue) override;
  void __stdcall SetReadOnly(bool AValue) override;
  // IcxInnerTextEdit
  void __stdcall ClearSelection() override;
  void __stdcall CopyToClipboard() override;
  rtl::TAlignment __stdcall GetAlignment() override;
  bool __stdcall GetAutoSelect() override;
  vcl::TEditCharCase __stdcall GetCharCase() override;
  TcxEditEchoMode __stdcall GetEchoMode() override;
  int __stdcall GetFirstVisibleCharIndex() override;
  bool __stdcall GetHideSelection() override;
  wchar_t __stdcall GetImeLastChar() override { return 0; }
  TImeMode __stdcall GetImeMode() override { return FImeMode; }
  TImeName __stdcall GetImeName() override { return FImeName; }
  bool __stdcall GetInternalUpdating() override;
  int __stdcall GetMaxLength() override;
  bool __stdcall GetMultiLine() override { return false; }
  bool __stdcall GetOEMConvert() override;
  rtl::TNotifyEvent __stdcall GetOnSelChange() override;
  wchar_t __stdcall GetPasswordChar() override;
  int __stdcall GetSelLength() override;
  int __stdcall GetSelStart() override;
  rtl::String __stdcall GetSelText() override;
  bool __stdcall GetUseLeftAlignmentOnEditing() override;
  void __stdcall SelectAll() override;
  void __stdcall SetAlignment(rtl::TAlignment AValue) override;
  void __stdcall SetAutoSelect(bool AValue) override;
  void __stdcall SetCharCase(vcl::TEditCharCase AValue) override;
  void __stdcall SetEchoMode(TcxEditEchoMode AValue) override;
  void __stdcall SetHideSelection(bool AValue) override;
  void __stdcall SetInternalUpdating(bool AValue) override;
  void __stdcall SetImeMode(TImeMode AValue) override { FImeMode = AValue; }
  void __stdcall SetImeName(const TImeName& AValue) override { FImeName = AValue; }
  void __stdcall SetMaxLength(int AValue) override;
  void __stdcall SetOEMConvert(bool AValue) override;
  void __stdcall SetOnSelChange(rtl::TNotifyEvent AValue) override;
  void __stdcall SetPasswordChar(wchar_t AValue) override;
  void __stdcall SetSelLength(int AValue) override;
  void __stdcall SetSelStart(int AValue) override;
  void __stdcall SetSelText(const rtl::String& AValue) override;
  void __stdcall SetUseLeftAlignmentOnEditing(bool AValue) override;
  rtl::String __stdcall GetTextHint() override;
  void __stdcall SetTextHint(const rtl::String& AValue) override;

 protected:
  // The window every inner edit has; FEdit is nil for inner controls of
  // another family, whose helpers answer the rest themselves.
  vcl::TCustomEdit* FControl;
  TcxCustomInnerTextEdit* FEdit;
  TImeMode FImeMode;
  TImeName FImeName;
};

class TcxCustomInnerTextEdit : public vcl::TCustomEdit, public IcxContainerInnerControl, public IcxInnerEditHelper {
  RTL_CLASS(TcxCustomInnerTextEdit, vcl::TCustomEdit)
  RTL_INTERFACES(IcxContainerInnerControl, IcxInnerEditHelper)
  RTL_MESSAGES(RTL_MESSAGE(WM_SETFOCUS, HandleWMSetFocus), RTL_MESSAGE(WM_KILLFOCUS, HandleWMKillFocus),
               RTL_MESSAGE(WM_KEYDOWN, HandleWMKeyDown), RTL_MESSAGE(WM_CHAR, HandleWMChar),
               RTL_MESSAGE(WM_CLEAR, HandleWMClear), RTL_MESSAGE(EM_REPLACESEL, HandleEMReplaceSel),
               RTL_MESSAGE(EM_SETSEL, HandleEMSetSel), RTL_MESSAGE(WM_ERASEBKGND, HandleWMEraseBkgnd),
               RTL_MESSAGE(WM_NCPAINT, HandleWMNCPaint), RTL_MESSAGE(WM_SIZE, HandleWMSizeOrFont),
               RTL_MESSAGE(WM_SETFONT, HandleWMSizeOrFont))

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;
  void DefaultHandler(rtl::TMessage& AMessage) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  TcxCustomTextEdit* GetContainer() const;
  TcxCustomInnerTextEditHelper* GetHelperObject() const { return FHelper; }
  rtl::TAlignment GetInnerAlignment() const { return FAlignment; }
  TcxEditEchoMode GetEchoMode() const { return FEchoMode; }
  void SetEchoMode(TcxEditEchoMode AValue);
  bool GetInternalUpdating() const { return FInternalUpdating; }
  void SetInternalUpdating(bool AValue) { FInternalUpdating = AValue; }
  wchar_t GetInnerPasswordChar() const { return FPasswordChar; }
  void SetInnerPasswordChar(wchar_t AValue);
  void SetInnerAlignment(rtl::TAlignment AValue);
  bool GetUseLeftAlignmentOnEditing() const { return FUseLeftAlignmentOnEditing; }
  void SetUseLeftAlignmentOnEditing(bool AValue);
  int GetLockBoundsCount() const { return FLockBoundsCount; }
  void LockBounds(bool ALock);
  rtl::TNotifyEvent GetOnSelChange() const { return FOnSelChange; }
  void SetOnSelChange(rtl::TNotifyEvent AValue) { FOnSelChange = AValue; }
  // The alignment the EDIT window uses: left while editing left-aligned.
  rtl::TAlignment GetWindowAlignment();

  // IcxContainerInnerControl
  vcl::TWinControl* __stdcall GetControl() override { return this; }
  TcxContainer* __stdcall GetControlContainer() override;
  // IcxInnerEditHelper
  IcxCustomInnerEdit* __stdcall GetHelper() override { return FHelper; }

 protected:
  virtual TcxCustomInnerTextEditHelper* CreateHelper();
  // Margins 0 left and 1 right.
  virtual void SetMargins();

  void CreateParams(vcl::TCreateParams& AParams) override;
  void CreateWnd() override;
  void WndProc(rtl::TMessage& AMessage) override;
  void KeyDown(WORD& AKey, vcl::TShiftState AShift) override;
  void KeyPress(wchar_t& AKey) override;
  void KeyUp(WORD& AKey, vcl::TShiftState AShift) override;
  void MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y) override;
  void MouseMove(vcl::TShiftState AShift, int X, int Y) override;
  void MouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y) override;
  void Click() override;
  void DblClick() override;

  void HandleWMSetFocus(rtl::TMessage& AMessage);
  void HandleWMKillFocus(rtl::TMessage& AMessage);
  void HandleWMKeyDown(rtl::TMessage& AMessage);
  void HandleWMChar(rtl::TMessage& AMessage);
  void HandleWMClear(rtl::TMessage& AMessage);
  void HandleEMReplaceSel(rtl::TMessage& AMessage);
  void HandleEMSetSel(rtl::TMessage& AMessage);
  void HandleWMEraseBkgnd(rtl::TMessage& AMessage) { AMessage.Result = 1; }
  void HandleWMNCPaint(rtl::TMessage& AMessage) { AMessage.Result = 0; }
  void HandleWMSizeOrFont(rtl::TMessage& AMessage);

 private:
  rtl::TAlignment FAlignment;
  TcxEditEchoMode FEchoMode;
  TcxCustomInnerTextEditHelper* FHelper;
  bool FInternalUpdating;
  bool FIsCreating;
  int FLockBoundsCount;
  wchar_t FPasswordChar;
  bool FUseLeftAlignmentOnEditing;
  rtl::TNotifyEvent FOnSelChange;
};

// ---------------------------------------------------------------------------
// Lookup data: the item list behind a text editor

RTL_ENUM(TcxEditLookupDataGoDirection, egdBegin, egdEnd, egdNext, egdPrev, egdPageUp, egdPageDown);

// A lookup key is an item index as an integer Variant, -1 for none.
struct IcxTextEditLookupData : rtl::IInterface {
  RTL_GUID(IcxTextEditLookupData, "{F4E2B5A1-6C3D-4B8E-9A17-2D5C8E0F3B61}")
  virtual bool __stdcall CanResizeVisualArea(TSize& NewSize, int AMaxHeight, int AMaxWidth) = 0;
  virtual void __stdcall CloseUp() = 0;
  virtual void __stdcall Deinitialize() = 0;
  virtual void __stdcall DropDown() = 0;
  virtual void __stdcall DroppedDown(const rtl::String& AFindStr) = 0;
  virtual bool __stdcall Find(const rtl::String& AText) = 0;
  virtual vcl::TWinControl* __stdcall GetActiveControl() = 0;
  virtual rtl::Variant __stdcall GetCurrentKey() = 0;
  virtual rtl::String __stdcall GetDisplayText(const rtl::Variant& AKey) = 0;
  virtual rtl::TNotifyEvent __stdcall GetOnCurrentKeyChanged() = 0;
  virtual rtl::TNotifyEvent __stdcall GetOnSelectItem() = 0;
  virtual int __stdcall GetListItemIndex() = 0;
  virtual TSize __stdcall GetVisualAreaPreferredSize(int AMaxHeight, int AWidth) = 0;
  virtual void __stdcall Go(TcxEditLookupDataGoDirection ADirection, bool ACircular) = 0;
  virtual void __stdcall Initialize(vcl::TWinControl* AVisualControlsParent) = 0;
  virtual bool __stdcall IsEmpty() = 0;
  virtual bool __stdcall IsMouseOverList(const TPoint& P) = 0;
  virtual bool __stdcall Locate(rtl::String& AText, rtl::String& ATail, bool ANext) = 0;
  virtual void __stdcall PositionVisualArea(const TRect& AClientRect) = 0;
  virtual void __stdcall PropertiesChanged() = 0;
  virtual void __stdcall SelectItem() = 0;
  virtual void __stdcall SetCurrentKey(const rtl::Variant& AKey) = 0;
  virtual void __stdcall SetOnCurrentKeyChanged(rtl::TNotifyEvent AValue) = 0;
  virtual void __stdcall SetOnSelectItem(rtl::TNotifyEvent AValue) = 0;
  virtual void __stdcall SetListItemIndex(int AValue) = 0;
  virtual void __stdcall TextChanged() = 0;
};

struct IcxTextEditLookupDataIncrementalFilter : rtl::IInterface {
  RTL_GUID(IcxTextEditLookupDataIncrementalFilter, "{0B7D3C92-8E41-4F5A-B6C2-91A4D7E35F08}")
  virtual void __stdcall ResetFilter() = 0;
};

class TcxCustomTextEdit;
class TcxCustomEditListBox;
class TcxEditListBoxContainer;
using TcxCustomEditListBoxClass = rtl::ClassOf<TcxCustomEditListBox>;

class TcxCustomTextEditLookupData : public TcxInterfacedPersistent,
                                    public IcxTextEditLookupData,
                                    public IcxTextEditLookupDataIncrementalFilter {
  RTL_CLASS(TcxCustomTextEditLookupData, TcxInterfacedPersistent)
  RTL_INTERFACES(IcxTextEditLookupData, IcxTextEditLookupDataIncrementalFilter)

 public:
  void Create(rtl::TPersistent* AOwner) override;
  void Destroy() override;

  // Virtual operations added by the lookup data.
  virtual void CreateVisualControls(vcl::TWinControl* AParent);
  virtual void SetVisualAreaBounds(const TRect& R);
  virtual rtl::String GetItemText(int AIndex);
  virtual int GetItemCount();
  virtual TcxCustomEditListBoxClass GetListBoxClass();
  virtual bool LocateText(rtl::String& AText, rtl::String& ATail, bool AExactMRU, bool ANext);
  virtual bool IsPopupVisible();
  virtual void RefillList();
  virtual bool PrefersExactMatch() { return false; }
  virtual void UpdateFilteredItems(const rtl::String& AText);
  virtual bool IsFilteringActive();
  virtual void ListSelectItem(rtl::TObject* Sender);

  // IcxTextEditLookupData
  bool __stdcall CanResizeVisualArea(TSize&, int, int) override { return true; }
  void __stdcall CloseUp() override;
  void __stdcall Deinitialize() override {}
  void __stdcall DropDown() override {}
  void __stdcall DroppedDown(const rtl::String&) override {}
  bool __stdcall Find(const rtl::String& AText) override { return FindExact(AText) != -1; }
  vcl::TWinControl* __stdcall GetActiveControl() override;
  rtl::Variant __stdcall GetCurrentKey() override { return rtl::Variant(FCurrentKey); }
  rtl::String __stdcall GetDisplayText(const rtl::Variant& AKey) override;
  rtl::TNotifyEvent __stdcall GetOnCurrentKeyChanged() override { return FOnCurrentKeyChanged; }
  rtl::TNotifyEvent __stdcall GetOnSelectItem() override { return FOnSelectItem; }
  int __stdcall GetListItemIndex() override;
  TSize __stdcall GetVisualAreaPreferredSize(int, int) override { return TSize{0, 0}; }
  void __stdcall Go(TcxEditLookupDataGoDirection ADirection, bool ACircular) override;
  void __stdcall Initialize(vcl::TWinControl* AVisualControlsParent) override;
  bool __stdcall IsEmpty() override { return GetDisplayItemCount() == 0; }
  bool __stdcall IsMouseOverList(const TPoint& P) override;
  bool __stdcall Locate(rtl::String& AText, rtl::String& ATail, bool ANext) override;
  void __stdcall PositionVisualArea(const TRect& AClientRect) override { SetVisualAreaBounds(AClientRect); }
  void __stdcall PropertiesChanged() override { RefillList(); }
  void __stdcall SelectItem() override;
  void __stdcall SetCurrentKey(const rtl::Variant& AKey) override;
  void __stdcall SetOnCurrentKeyChanged(rtl::TNotifyEvent AValue) override { FOnCurrentKeyChanged = AValue; }
  void __stdcall SetOnSelectItem(rtl::TNotifyEvent AValue) override { FOnSelectItem = AValue; }
  void __stdcall SetListItemIndex(int AIndex) override;
  void __stdcall TextChanged() override;
  // IcxTextEditLookupDataIncrementalFilter
  void __stdcall ResetFilter() override;

  // The first item equal to AText ignoring case, -1 if none.
  int FindExact(const rtl::String& AText);
  // The first item from AStart on that matches AText (see the matching
  // rules in the source); -1 for an empty text or a start past the end.
  int FindItemFrom(const rtl::String& AText, int AStart, bool AWhole);
  // The items listed: the filtered ones while filtering.
  int GetDisplayItemCount();
  int ShownToItem(int APosition);
  int ItemToShown(int AIndex);
  int GetItemIndex() const { return FItemIndex; }
  void SetItemIndex(int AIndex);
  const rtl::String& GetSearchText() const { return FSearchText; }
  TcxCustomEditListBox* GetList() const { return FList; }
  TcxEditListBoxContainer* GetListContainer() const { return FListContainer; }
  TcxCustomTextEdit* GetEdit() const;

 protected:
  void InternalSetCurrentKey(int AValue);
  TcxCustomTextEditProperties* ActiveProperties() const;
  // Contains matching: incremental filtering with the contains option.
  bool UsesContainsOperator() const;

 private:
  // The miss rule of a failed search.
  void ApplyMiss(bool AExactMRU, const rtl::String& AText);

  rtl::String FSearchText;
  int FCurrentKey;
  std::vector<int> FFilteredLookupItems;
  bool FIsInitializing;
  int FItemIndex;
  TcxCustomEditListBox* FList;
  TcxEditListBoxContainer* FListContainer;
  rtl::TPersistent* FOwner;
  rtl::TNotifyEvent FOnCurrentKeyChanged;
  rtl::TNotifyEvent FOnSelectItem;
};

using TcxCustomTextEditLookupDataClass = rtl::ClassOf<TcxCustomTextEditLookupData>;

// The visual list of a lookup: an owner-drawn list box without border whose
// items are the lookup data's shown items.
class TcxCustomEditListBox : public TcxCustomInnerListBox {
  RTL_CLASS(TcxCustomEditListBox, TcxCustomInnerListBox)

 public:
  void Create(rtl::TComponent* AOwner) override;

  virtual unsigned GetDrawTextFlags();
  virtual bool IsHighlightSearchText();
  virtual bool DrawItemCustom(int /*AIndex*/, const TRect& /*ARect*/, vcl::TOwnerDrawState /*AState*/)
  {
    return false;
  }
  virtual rtl::String GetListItemText(int AIndex);
  virtual void ItemsChanged() {}
  virtual int GetHeight(int ARowCount, int /*AMaxHeight*/) { return ARowCount * GetItemHeight(); }
  virtual int GetItemHeight(int AIndex = 0);
  virtual int GetItemWidth(int AIndex);

  // Appends or drops items at the end so that the list holds ACount.
  void SetItemCount(int ACount);
  // The wheel step after the container declined it: whole notches of 120
  // scroll by the system's wheel lines. True when a scroll was answered.
  bool AccumulateWheel(int AWheelDelta);
  int GetMouseWheelAccumulator() const { return FMouseWheelAccumulator; }
  bool GetHotTrack() const { return FHotTrack; }
  void SetHotTrack(bool AValue) { FHotTrack = AValue; }
  rtl::TNotifyEvent GetOnSelectItem() const { return FOnSelectItem; }
  void SetOnSelectItem(rtl::TNotifyEvent AValue) { FOnSelectItem = AValue; }
  TcxCustomTextEditLookupData* GetLookupData() const { return FLookupData; }
  void SetLookupData(TcxCustomTextEditLookupData* AValue) { FLookupData = AValue; }
  // Selects and tells the lookup data, like a click.
  void SetItemIndex(int AValue);

 protected:
  void Click() override;
  void DrawItem(int AIndex, const TRect& ARect, vcl::TOwnerDrawState AState) override;
  void MeasureItem(int AIndex, int& AHeight) override;
  bool DoMouseWheel(vcl::TShiftState AShift, int AWheelDelta, TPoint AMousePos) override;
  void MouseMove(vcl::TShiftState AShift, int X, int Y) override;
  void CreateParams(vcl::TCreateParams& AParams) override;

 private:
  void SelectionChanged();

  bool FHotTrack;
  int FMouseWheelAccumulator;
  TPoint FPrevMousePos;
  rtl::TNotifyEvent FOnSelectItem;
  TcxCustomTextEditLookupData* FLookupData;
};

// The container of the lookup list: no border of its own.
class TcxEditListBoxContainer : public TcxCustomEditContainer {
  RTL_CLASS(TcxEditListBoxContainer, TcxCustomEditContainer)

 public:
  void Create(rtl::TComponent* AOwner) override;
};

// ---------------------------------------------------------------------------
// TcxCustomTextEdit

// The single-line text editor: the EDIT window's text is its display value,
// turned into EditValue when the value is validated or set from outside;
// Text goes through the window-text messages.
class TcxCustomTextEdit : public TcxCustomEdit {
  RTL_CLASS(TcxCustomTextEdit, TcxCustomEdit)
  RTL_MESSAGES(RTL_MESSAGE(WM_GETTEXT, HandleWMGetText), RTL_MESSAGE(WM_GETTEXTLENGTH, HandleWMGetTextLength),
               RTL_MESSAGE(WM_SETTEXT, HandleWMSetText), RTL_MESSAGE(WM_CLEAR, HandleWMClear),
               RTL_MESSAGE(WM_SETFOCUS, HandleWMSetFocus))

 public:
  void Destroy() override;
  void DefaultHandler(rtl::TMessage& AMessage) override;
  // A standalone editor is placed on its form like any control.
  using TcxCustomEdit::SetParent;

  TcxCustomTextEditProperties* GetProperties() const
  {
    return static_cast<TcxCustomTextEditProperties*>(GetInternalProperties());
  }
  TcxCustomTextEditProperties* GetActiveTextProperties()
  {
    return static_cast<TcxCustomTextEditProperties*>(GetActiveProperties());
  }
  // Through IcxInnerTextEdit; nil without an inner edit.
  IcxInnerTextEdit* GetInnerTextEdit();

  int GetSelStart();
  void SetSelStart(int AValue);
  int GetSelLength();
  void SetSelLength(int AValue);
  rtl::String GetSelText();
  virtual void SetSelText(const rtl::String& AValue);
  void SetSelection(int ASelStart, int ASelLength);
  rtl::String GetEditingText() { return GetDisplayText(); }
  void SetEditingText(const rtl::String& AValue);
  int GetCursorPos();
  rtl::String GetTextHint();
  void SetTextHint(const rtl::String& AValue);
  bool GetFindSelection() const { return FFindSelection; }
  void SetFindSelection(bool AValue);
  bool GetBeepOnEnter() const { return FBeepOnEnter; }
  void SetBeepOnEnter(bool AValue) { FBeepOnEnter = AValue; }
  bool GetIsPopupWindowJustClosed() const { return FIsPopupWindowJustClosed; }
  void SetIsPopupWindowJustClosed(bool AValue) { FIsPopupWindowJustClosed = AValue; }

  virtual void ClearSelection();
  virtual void Undo() { Reset(); }

  // The lookup: the item list behind the editor (nil when the properties
  // have no lookup-data class).
  TcxCustomTextEditLookupData* GetLookupData() const { return FLookupData; }
  IcxTextEditLookupData* GetILookupData() const { return FLookupData; }
  bool GetLookupDataTextChangedLocked() const { return FLookupDataTextChangedLocked; }
  void SetLookupDataTextChangedLocked(bool AValue) { FLookupDataTextChangedLocked = AValue; }
  // The item of the current lookup key, -1 for none; setting it shows the
  // item's text.
  int GetItemIndex();
  void SetItemIndex(int AValue);
  rtl::TObject* GetItemObject();
  void SetItemObject(rtl::TObject* AValue);

  // Overrides of the edit base's public operations.
  void CopyToClipboard() override;
  void CutToClipboard() override;
  void PasteFromClipboard() override;
  void SelectAll() override;
  void PrepareEditValue(const rtl::Variant& ADisplayValue, rtl::Variant& EditValue, bool AEditFocused) override;
  bool IsEditClass() override;
  TcxCustomEditPropertiesClass GetPropertiesClass() override;

  // The road of keys and mouse from the inner edit.
  void InnerKeyDown(WORD& AKey, vcl::TShiftState AShift) { KeyDown(AKey, AShift); }
  void InnerKeyPress(wchar_t& AKey) { KeyPress(AKey); }
  void InnerKeyUp(WORD& AKey, vcl::TShiftState AShift) { KeyUp(AKey, AShift); }
  void InnerFocusChanged() { FocusChanged(); }
  void InnerAfterKeyDown(WORD& AKey, vcl::TShiftState AShift) { DoAfterKeyDown(AKey, AShift); }
  void InnerMouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y);
  void InnerMouseMove(vcl::TShiftState AShift, int X, int Y) { MouseMove(AShift, X, Y); }
  void InnerMouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
  {
    MouseUp(AButton, AShift, X, Y);
  }
  void InnerClick() { Click(); }
  void InnerDblClick() { DblClick(); }

 protected:
  // Virtual operations added by the text editor.
  virtual bool CanSpellCheck();
  virtual void SetEditValueFromText();
  virtual bool CheckSelTextReplacement(const rtl::String& ANewSelText, rtl::String& AText, int& ASelStart);
  virtual int GetInnerEditHeight();
  virtual bool IsNullStringShown();
  virtual void ResetFindSelection();
  virtual void InnerEditSelectionChanged(rtl::TObject* /*Sender*/) {}
  virtual void InnerEditUndone() {}
  virtual void RecheckDisplayValue();
  virtual void SynchronizeInnerEditStyle();

  // Overrides of the edit base.
  void Initialize() override;
  rtl::ClassOf<vcl::TWinControl> GetInnerEditClass() override;
  rtl::String GetDisplayText() override;
  bool SetTextValue(const rtl::String& AText) override;
  void SetDisplayValue(const rtl::Variant& AValue) override;
  void SetInnerEditValue(const rtl::Variant& AValue) override;
  void SynchronizeEditValue() override;
  void RefreshDisplayValue() override;
  void UpdateDrawValue() override;
  void InnerEditChanged(rtl::TObject* Sender) override;
  void PropertiesChanged(rtl::TObject* Sender) override;
  void AdjustInnerEditPosition() override;
  bool AcceptsChar(wchar_t AChar) override;
  bool IsValueChangingChar(wchar_t AChar) override;
  bool IsValueChangingKey(WORD AKey, vcl::TShiftState AShift) override;
  bool IsInsertOrDeleteKey(WORD /*AKey*/, vcl::TShiftState /*AShift*/) override { return false; }
  bool HandlesNavigationKeys() override { return true; }
  bool CanEdit() override;
  rtl::Variant GetUnpostedEditingValue() override { return rtl::Variant(GetDisplayText()); }
  void SetFocusAndSelect() override;
  void DoExit() override;
  void Loaded() override;
  void ContainerStyleChanged(rtl::TObject* Sender) override;
  void KeyPress(wchar_t& AKey) override;
  void ProcessKeyDown(WORD& AKey, vcl::TShiftState AShift) override;
  void ProcessKeyPress(wchar_t& AKey) override;
  bool DoValidateDisplayValue(rtl::Variant& ADisplayValue, rtl::String& AErrorText, bool& AError) override;
  void SetValidatedDisplayValue(const rtl::Variant& AValue) override;

  // Lookup completion and navigation.
  virtual bool CanScrollLookupItems(bool /*AIsMouseWheel*/) { return false; }
  virtual bool IsLookupNavigationKey(WORD AKey, vcl::TShiftState AShift);
  virtual bool NeedsLookupSelectOnEnter(bool AFindSelection) { return AFindSelection; }
  virtual void LookupDataSelectItem(rtl::TObject* Sender);
  virtual void DoNewLookupDisplayText(const rtl::String& AText);
  // Completes AText from the items: the found item's tail is shown
  // selected. True when an item was found.
  bool LocateLookupText(rtl::String& AText);
  void LookupNavigate(WORD& AKey, vcl::TShiftState AShift);
  rtl::Variant LookupKeyToEditValue(const rtl::Variant& AKey);
  int LookupKeyToItemIndex(const rtl::Variant& AKey);
  rtl::Variant ItemIndexToLookupKey(int AIndex) { return rtl::Variant(AIndex); }
  bool CanIncrementalSearch();
  // The selection drawn by a list-style editor that is not an edit class.
  void PrepareFixedListSelection(TcxCustomTextEditViewInfo* AViewInfo);

  void HandleWMGetText(rtl::TMessage& AMessage);
  void HandleWMGetTextLength(rtl::TMessage& AMessage);
  void HandleWMSetText(rtl::TMessage& AMessage);
  void HandleWMClear(rtl::TMessage& AMessage);
  void HandleWMSetFocus(rtl::TMessage& AMessage);

  TcxCustomInnerTextEdit* InnerTextEditControl() const;
  TcxEditEditingStyle EditingStyle() { return GetActiveTextProperties()->GetEditingStyle(); }
  // The text the messages answer: the display text, or the kept one while
  // the editor is being destroyed.
  rtl::String TextForMessages();

  bool FBeepOnEnter;
  bool FDisableRefresh;
  bool FFindSelection;
  bool FInternalTextSetting;
  bool FIsDisplayValueSynchronizing;
  rtl::String FText;
  bool FInnerEditPositionAdjusting;
  bool FIsPopupWindowJustClosed;
  bool FIsChangeBySpellChecker;
  bool FLookupItemsScrolling;
  TcxCustomTextEditLookupData* FLookupData;
  bool FLookupDataTextChangedLocked;

  friend class TcxCustomInnerTextEdit;
  friend class TcxCustomTextEditLookupData;
};

class TcxTextEdit : public TcxCustomTextEdit {
  RTL_CLASS(TcxTextEdit, TcxCustomTextEdit)
  RTL_PUBLISHED(RTL_PUBLISH(Align), RTL_PUBLISH(Anchors), RTL_PUBLISH(BiDiMode),
                RTL_PUBLISH(Constraints), RTL_PUBLISH(DragCursor), RTL_PUBLISH(DragKind), RTL_PUBLISH(DragMode),
                RTL_PUBLISH(Enabled), RTL_PUBLISH(ParentBiDiMode), RTL_PUBLISH(ParentColor),
                RTL_PUBLISH(ParentFont), RTL_PUBLISH(ParentShowHint), RTL_PUBLISH(PopupMenu),
                RTL_PROPERTY(Properties, GetTextEditProperties, SetTextEditProperties),
                RTL_PUBLISH(ShowHint), RTL_PROPERTY(Style, GetStyle, SetStyle),
                RTL_PROPERTY(StyleDisabled, GetStyleDisabled, SetStyleDisabled),
                RTL_PROPERTY(StyleFocused, GetStyleFocused, SetStyleFocused),
                RTL_PROPERTY(StyleHot, GetStyleHot, SetStyleHot), RTL_PUBLISH(TabOrder), RTL_PUBLISH(TabStop),
                RTL_PUBLISH(Text), RTL_PROPERTY(TextHint, GetTextHint, SetTextHint), RTL_PUBLISH(Visible),
                RTL_PUBLISH(OnClick), RTL_PUBLISH(OnContextPopup), RTL_PUBLISH(OnDblClick),
                RTL_PUBLISH(OnDragDrop), RTL_PUBLISH(OnDragOver), RTL_PUBLISH(OnEndDock), RTL_PUBLISH(OnEndDrag),
                RTL_PUBLISH(OnEnter), RTL_PUBLISH(OnExit), RTL_PUBLISH(OnKeyDown), RTL_PUBLISH(OnKeyPress),
                RTL_PUBLISH(OnKeyUp), RTL_PUBLISH(OnMouseDown), RTL_PUBLISH(OnMouseEnter),
                RTL_PUBLISH(OnMouseLeave), RTL_PUBLISH(OnMouseMove), RTL_PUBLISH(OnMouseUp),
                RTL_PUBLISH(OnStartDock), RTL_PUBLISH(OnStartDrag))

 public:
  TcxTextEditProperties* GetTextEditProperties() const
  {
    return static_cast<TcxTextEditProperties*>(GetInternalProperties());
  }
  void SetTextEditProperties(TcxTextEditProperties* AValue) { SetProperties(AValue); }
  TcxCustomEditPropertiesClass GetPropertiesClass() override;
};

// ---------------------------------------------------------------------------
// Unit routines

// The text in the character case.
rtl::String cxTextEditApplyCharCase(const rtl::String& AText, vcl::TEditCharCase ACharCase);
// AChar unless #0; else U+25CF in native style with themes active, else '*'.
wchar_t cxTextEditGetPasswordChar(bool ANativeStyle, wchar_t AChar);
// The locale's thousand separator after every three digits of the integer
// part; leading and trailing blanks and an exponent stay apart.
rtl::String cxInsertThousandSeparators(const rtl::String& S);
// Not empty and a floating-point number once the thousand separators go.
bool cxIsNumericText(const rtl::String& S);

// ---------------------------------------------------------------------------
// Incremental filtering: the search editor of a filtering popup and the
// popup's "No matches found" panel

class TcxCustomLookAndFeelPainter;

// Owns and wires the small search editor of a popup whose list filters as
// the user types; the descendant decides when it exists and what its
// events do.
class TdxCustomIncrementalFilteringHelper : public rtl::TObject {
  RTL_CLASS(TdxCustomIncrementalFilteringHelper, rtl::TObject)

 public:
  void Destroy() override;

  virtual void CreateSearchEdit();
  virtual void DestroySearchEdit();
  // Draws the search glyph in place of the button's own drawing.
  virtual void DrawSearchButton(TcxEditButtonViewInfo* Sender, TcxCanvas* ACanvas, bool& AHandled);
  virtual TcxCustomLookAndFeelPainter* GetPainter() = 0;
  virtual void GetSearchEditOffsets(TRect& R) { R = TRect{1, 1, 1, 1}; }
  virtual void InitializeSearchEdit();
  virtual void SearchEditKeyDown(rtl::TObject* Sender, WORD& Key, vcl::TShiftState Shift) = 0;
  virtual void SearchEditKeyPress(rtl::TObject* Sender, wchar_t& Key) = 0;
  virtual void SearchEditMouseWheel(rtl::TObject* Sender, vcl::TShiftState Shift, int WheelDelta, TPoint MousePos,
                                    bool& Handled) = 0;
  virtual void SearchEditValueChanged(rtl::TObject* Sender) = 0;
  virtual rtl::String GetSearchText();

  TcxCustomTextEdit* GetSearchEdit() const { return FSearchEdit; }

 protected:
  TcxCustomTextEdit* FSearchEdit;
};

// The view info of a filtering popup: it may show a panel saying that no
// item matches.
class TdxCustomIncrementalFilteringContainerViewInfo : public TcxContainerViewInfo {
  RTL_CLASS(TdxCustomIncrementalFilteringContainerViewInfo, TcxContainerViewInfo)

 public:
  void Create() override;
  void Destroy() override;

  virtual void DrawSearchInfoPanel(TcxCanvas* ACanvas);
  virtual int GetSearchInfoPanelDefaultHeight();
  virtual int GetSearchInfoPanelHeight();
  virtual rtl::String GetSearchInfoPanelText();
  virtual unsigned GetSearchInfoPanelTextDrawFlags();
  virtual int GetSearchInfoPanelTextOffset() { return 4; }
  virtual int GetSearchInfoPanelWidth();
  virtual bool IsSearchInfoPanelVisible() { return false; }

  void Paint(TcxCanvas* ACanvas) override;

  TdxOwnedScaleFactor* ScaleFactor;
  TRect SearchInfoPanelBounds;
  int SearchInfoPanelHeight;
  bool ShowSearchInfoPanel;
  bool UseRightToLeftAlignment;
};

class TdxCustomIncrementalFilteringPopupWindow : public TcxCustomPopupWindow {
  RTL_CLASS(TdxCustomIncrementalFilteringPopupWindow, TcxCustomPopupWindow)

 public:
  void Create(vcl::TWinControl* AOwnerControl) override;
  TcxContainerViewInfoClass GetViewInfoClass() override;

  TdxCustomIncrementalFilteringContainerViewInfo* GetFilteringViewInfo() const
  {
    return static_cast<TdxCustomIncrementalFilteringContainerViewInfo*>(GetViewInfo());
  }
  bool GetShowSearchInfoPanel() const { return FShowSearchInfoPanel; }
  void SetShowSearchInfoPanel(bool AValue);

 private:
  bool FShowSearchInfoPanel;
};
