// The mask editor: a single-line text editor whose input follows an edit
// mask, either a fixed-position standard mask or a regular expression, with
// or without the automatic insertion of the literals the expression fixes.
// Everything that depends on the kind of mask lives in a mode object; the
// editor routes keys, clipboard operations, formatting and validation
// through it.
#pragma once

#include <memory>

#include "editors/cxRegExpr.h"
#include "editors/cxStandardMask.h"
#include "editors/cxTextEdit.h"

RTL_DECLARE_UNIT(cxMaskEdit);

class TcxCustomMaskEdit;
class TcxCustomMaskEditProperties;

RTL_DECLARE_EXCEPTION(EcxMaskEditError, EcxEditError);

RTL_ENUM(TcxEditMaskKind, emkStandard, emkRegExpr, emkRegExprEx);

// ---------------------------------------------------------------------------
// Modes

// The key operations answer True when the key should go on to the inner
// window, False when the mode handled or refused it.
class TcxMaskEditCustomMode {
 public:
  TcxMaskEditCustomMode(TcxCustomMaskEdit* AEdit, TcxCustomMaskEditProperties* AProperties);
  TcxMaskEditCustomMode(const TcxMaskEditCustomMode&) = delete;
  TcxMaskEditCustomMode& operator=(const TcxMaskEditCustomMode&) = delete;
  virtual ~TcxMaskEditCustomMode() = default;

  virtual TcxEditMaskKind GetMaskKind() const { return TcxEditMaskKind::emkStandard; }
  virtual bool CheckSelTextReplacement(const String& AText, String& ANewText, int& ACaretPos);
  virtual void AfterPasteFromClipboard() = 0;
  virtual void Compile(const String& AMask) = 0;
  virtual String GetEmptyString() = 0;
  virtual String GetFormattedText(const String& AText, bool AMatchForBlanksAndLiterals = true) = 0;
  virtual void GotoEnd() = 0;
  virtual bool IsCursorBegin() = 0;
  virtual bool IsCursorEnd() = 0;
  virtual bool IsFullValidText(const String& AText) = 0;
  virtual void LMouseDown() = 0;
  virtual void PrePasteFromClipboard() = 0;
  virtual bool PressBackSpace() = 0;
  virtual bool PressDelete() = 0;
  virtual bool PressEnd() = 0;
  virtual bool PressHome() = 0;
  virtual bool PressLeft() = 0;
  virtual bool PressRight() = 0;
  virtual bool PressSymbol(wchar_t& ASymbol) = 0;
  virtual void SetText(const String& AText) = 0;
  virtual void SynchronizeEditValue();
  virtual void UpdateEditValue() = 0;
  virtual String GetUpdatedText(const String& AText, bool AMatchForBlanksAndLiterals = true) = 0;

  void BeepOnError();
  const String& EditMask() const { return FEditMask; }
  int ClipboardTextLength() const { return FClipboardTextLength; }
  void SetClipboardTextLength(int AValue) { FClipboardTextLength = AValue; }
  vcl::TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(vcl::TEditCharCase AValue) { FCharCase = AValue; }
  TcxEditEchoMode EchoMode() const { return FEchoMode; }
  void SetEchoMode(TcxEditEchoMode AValue) { FEchoMode = AValue; }

 protected:
  TcxCustomMaskEditProperties* ActiveProperties() const;
  bool HasLiveEditor() const;
  // The editor's view of the text and caret.
  String EditText() const;
  int SelStart() const;
  int SelLength() const;
  void SetSelStart(int AValue) const;
  void SetSelLength(int AValue) const;
  bool ShiftOn() const;
  void SetShiftOn(bool AValue) const;
  void SetInnerText(const String& AText) const;

  vcl::TEditCharCase FCharCase = vcl::TEditCharCase::ecNormal;
  TcxEditEchoMode FEchoMode = TcxEditEchoMode::eemNormal;
  String FEditMask;
  TcxCustomMaskEditProperties* FProperties;
  int FClipboardTextLength = 0;
  TcxCustomMaskEdit* FEdit;
  bool FNeedUpdateEditValue = false;
};

class TcxMaskEditStandardMode : public TcxMaskEditCustomMode {
 public:
  using TcxMaskEditCustomMode::TcxMaskEditCustomMode;

  void AfterPasteFromClipboard() override;
  bool CheckSelTextReplacement(const String& AText, String& ANewText, int& ACaretPos) override;
  void Compile(const String& AMask) override;
  String GetEmptyString() override { return FMask.EmptyString(); }
  String GetFormattedText(const String& AText, bool AMatchForBlanksAndLiterals = true) override;
  void GotoEnd() override {}
  bool IsCursorBegin() override;
  bool IsCursorEnd() override;
  bool IsFullValidText(const String& AText) override;
  void LMouseDown() override;
  void PrePasteFromClipboard() override;
  bool PressBackSpace() override;
  bool PressDelete() override;
  bool PressEnd() override;
  bool PressHome() override;
  bool PressLeft() override;
  bool PressRight() override;
  bool PressSymbol(wchar_t& ASymbol) override;
  void SetText(const String& AText) override;
  void SynchronizeEditValue() override;
  void UpdateEditValue() override;
  String GetUpdatedText(const String& AText, bool AMatchForBlanksAndLiterals = true) override;

  virtual wchar_t GetBlank(int /*APos*/) const { return FMask.Blank(); }
  const TcxStandardMask& Mask() const { return FMask; }

 private:
  bool IsLiteralAt(int APos) const { return APos >= 0 && APos < FMask.Count() && FMask.Items(APos).IsLiteral(); }
  int FirstNonLiteral() const;

  TcxStandardMask FMask;
  int FSelStart = 0;
};

class TcxMaskEditRegExprMode : public TcxMaskEditCustomMode {
 public:
  TcxMaskEditRegExprMode(TcxCustomMaskEdit* AEdit, TcxCustomMaskEditProperties* AProperties);

  TcxEditMaskKind GetMaskKind() const override { return TcxEditMaskKind::emkRegExpr; }
  void AfterPasteFromClipboard() override {}
  void Compile(const String& AMask) override;
  String GetEmptyString() override { return String(); }
  String GetFormattedText(const String& AText, bool AMatchForBlanksAndLiterals = true) override;
  void GotoEnd() override;
  bool IsCursorBegin() override { return SelStart() == 0; }
  bool IsCursorEnd() override { return SelStart() == static_cast<int>(EditText().size()); }
  bool IsFullValidText(const String& AText) override;
  void LMouseDown() override { FMouseAction = true; }
  void PrePasteFromClipboard() override {}
  bool PressBackSpace() override;
  bool PressDelete() override;
  bool PressEnd() override;
  bool PressHome() override;
  bool PressLeft() override;
  bool PressRight() override;
  bool PressSymbol(wchar_t& ASymbol) override;
  void SetText(const String& AText) override;
  void SynchronizeEditValue() override;
  void UpdateEditValue() override {}
  String GetUpdatedText(const String& AText, bool = true) override { return AText; }

  virtual bool IsResyncNeeded();
  virtual void Resync();
  virtual void CutSelection();
  virtual void RestoreSelection();
  void SetRegExprCaseInsensitive();
  const String& Head() const { return FHead; }
  const String& Tail() const { return FTail; }

 protected:
  bool TailFits();
  void CutTail();
  void Restart(const String& AText);
  // Feeds one character; the automaton may change its case.
  bool Feed(wchar_t& AChar) { return FRegExpr.Next(AChar); }
  // A temporary expression over the mode's source, for validation.
  bool CompileTemporary(TcxRegExpr& AExpr) const;

  bool FBeginCursor = false;
  String FHead;
  TcxRegExpr FRegExpr;
  String FSelect;
  String FTail;
  bool FMouseAction = false;
};

class TcxMaskEditRegExprExMode : public TcxMaskEditRegExprMode {
 public:
  TcxMaskEditRegExprExMode(TcxCustomMaskEdit* AEdit, TcxCustomMaskEditProperties* AProperties);

  TcxEditMaskKind GetMaskKind() const override { return TcxEditMaskKind::emkRegExprEx; }
  void AfterPasteFromClipboard() override;
  void Compile(const String& AMask) override;
  String GetEmptyString() override;
  String GetFormattedText(const String& AText, bool AMatchForBlanksAndLiterals = true) override;
  void GotoEnd() override;
  bool IsFullValidText(const String& AText) override;
  void PrePasteFromClipboard() override { Resync(); }
  bool PressBackSpace() override;
  bool PressDelete() override;
  bool PressEnd() override;
  bool PressHome() override;
  bool PressLeft() override;
  bool PressRight() override;
  bool PressSymbol(wchar_t& ASymbol) override;
  void SetText(const String& AText) override;
  void UpdateEditValue() override;
  void Resync() override;
  void CutSelection() override;
  void RestoreSelection() override;

 private:
  void Clear()
  {
    FUpdate.clear();
    FDeleteNumber = 0;
  }
  // The literal prefix the expression starts with (in FUpdate afterwards).
  String LiteralPrefix();
  void StepRight();
  void StepLeft();
  void RefeedTail();
  void RefeedOrCutTail();
  bool TemporaryPrefix(TcxRegExpr& AExpr, String& APrefix) const;

  String FInternalUpdate;
  int FDeleteNumber = 0;
  int FNewCursorPos = -1;
  String FUpdate;
};

// ---------------------------------------------------------------------------
// Properties

class TcxCustomMaskEditProperties : public TcxCustomTextEditProperties {
  RTL_CLASS(TcxCustomMaskEditProperties, TcxCustomTextEditProperties)

 public:
  void Create(rtl::TPersistent* AOwner) override;
  void Destroy() override;
  void AssignFrom(TcxCustomEditProperties* ASource) override;
  TcxCustomEditClass GetContainerClass() override;
  TcxEditSupportedOperations GetSupportedOperations() override;
  bool IsEditValueValid(rtl::Variant& EditValue, bool AEditFocused) override;
  bool HasLookupData() override { return !IsMasked(); }
  unsigned DisplayFormatOptions() override;
  void MaxLengthChanged() override;
  void DoPrepareDisplayValue(const rtl::Variant& AEditValue, rtl::Variant& ADisplayValue,
                             bool AEditFocused) override;
  bool ValidateDisplayValue(rtl::Variant& ADisplayValue, rtl::String& AErrorText, bool& AError,
                            TcxCustomEdit* AEdit) override;

  virtual std::unique_ptr<TcxMaskEditCustomMode> CreateMode(TcxEditMaskKind AMaskKind, TcxCustomMaskEdit* AEdit);

  bool IsMasked();
  bool GetAlwaysShowBlanksAndLiterals() const { return FAlwaysShowBlanksAndLiterals; }
  void SetAlwaysShowBlanksAndLiterals(bool AValue);
  bool GetCaseInsensitive() const { return FCaseInsensitive; }
  void SetCaseInsensitive(bool AValue);
  void SetMaskCharCase(vcl::TEditCharCase AValue);
  vcl::TEditCharCase GetMaskCharCase() const { return GetCharCase(); }
  // The effective mask: a blank standard mask takes the data's default.
  String GetEditMask();
  void SetEditMask(const String& AValue);
  const String& GetStoredEditMask() const { return FEditMask; }
  const String& GetEmptyString() const { return FEmptyString; }
  void SetEmptyString(const String& AValue) { FEmptyString = AValue; }
  bool GetIgnoreMaskBlank() const { return FIgnoreMaskBlank; }
  void SetIgnoreMaskBlank(bool AValue) { FIgnoreMaskBlank = AValue; }
  TcxEditMaskKind GetMaskKind() const { return FMaskKind; }
  void SetMaskKind(TcxEditMaskKind AValue);
  void ClearStoredEditMask() { FEditMask.clear(); }
  void RestoreStoredEditMask(const String& AValue) { FEditMask = AValue; }

 protected:
  void DoChanged() override;

 private:
  bool FAlwaysShowBlanksAndLiterals;
  bool FCaseInsensitive;
  String FEditMask;
  String FEmptyString;
  bool FIgnoreMaskBlank;
  TcxEditMaskKind FMaskKind;
  bool FMaxLengthSetting;
  std::unique_ptr<TcxMaskEditCustomMode> FTempMode;
};

class TcxMaskEditProperties : public TcxCustomMaskEditProperties {
  RTL_CLASS(TcxMaskEditProperties, TcxCustomMaskEditProperties)
  // The mask kind comes before the mask: a stream read back compiles the
  // mask with its own syntax.
  RTL_PUBLISHED(
      RTL_PROPERTY(Alignment, GetAlignment, SetAlignment),
      RTL_PROPERTY(AlwaysShowBlanksAndLiterals, GetAlwaysShowBlanksAndLiterals, SetAlwaysShowBlanksAndLiterals,
                   RTL_DEFAULT(false)),
      RTL_PROPERTY(AssignedValues, GetTextAssignedValues, SetTextAssignedValues),
      RTL_PROPERTY(AutoSelect, GetAutoSelect, SetAutoSelect, RTL_DEFAULT(true)),
      RTL_PROPERTY(BeepOnError, GetBeepOnError, SetBeepOnError, RTL_DEFAULT(false)),
      RTL_PROPERTY(CaseInsensitive, GetCaseInsensitive, SetCaseInsensitive, RTL_DEFAULT(true)),
      RTL_PROPERTY(CharCase, GetMaskCharCase, SetMaskCharCase, RTL_DEFAULT(vcl::TEditCharCase::ecNormal)),
      RTL_PROPERTY(ClearKey, GetClearKey, SetClearKey, RTL_DEFAULT(0)),
      RTL_PROPERTY(EchoMode, GetEchoMode, SetEchoMode, RTL_DEFAULT(TcxEditEchoMode::eemNormal)),
      RTL_PROPERTY(HideSelection, GetHideSelection, SetHideSelection, RTL_DEFAULT(true)),
      RTL_PROPERTY(IgnoreMaskBlank, GetIgnoreMaskBlank, SetIgnoreMaskBlank, RTL_DEFAULT(false)),
      RTL_PROPERTY(ImeMode, GetImeMode, SetImeMode, RTL_DEFAULT(TImeMode::imDontCare)),
      RTL_PROPERTY(ImeName, GetImeName, SetImeName),
      RTL_PROPERTY(IncrementalSearch, GetIncrementalSearch, SetIncrementalSearch, RTL_DEFAULT(true)),
      RTL_PROPERTY(LookupItems, GetLookupItemsList, SetLookupItems),
      RTL_PROPERTY(LookupItemsSorted, GetLookupItemsSorted, SetLookupItemsSorted, RTL_DEFAULT(false)),
      RTL_PROPERTY(MaskKind, GetMaskKind, SetMaskKind, RTL_DEFAULT(TcxEditMaskKind::emkStandard)),
      RTL_PROPERTY(EditMask, GetStoredEditMask, SetEditMask),
      RTL_PROPERTY(MaxLength, GetMaxLength, SetMaxLength, RTL_STORED(IsMaxLengthStored)),
      RTL_PROPERTY(Nullstring, GetNullstring, SetNullstring),
      RTL_PROPERTY(OEMConvert, GetOEMConvert, SetOEMConvert, RTL_DEFAULT(false)),
      RTL_PROPERTY(PasswordChar, GetPasswordCharCode, SetPasswordCharCode, RTL_DEFAULT(0)),
      RTL_PROPERTY(ReadOnly, GetReadOnly, SetReadOnly, RTL_DEFAULT(false)),
      RTL_PROPERTY(UseLeftAlignmentOnEditing, GetUseLeftAlignmentOnEditing, SetUseLeftAlignmentOnEditing,
                   RTL_DEFAULT(true)),
      RTL_PROPERTY(UseNullString, GetUseNullString, SetUseNullString, RTL_DEFAULT(false)),
      RTL_PROPERTY(ValidateOnEnter, GetValidateOnEnter, SetValidateOnEnter, RTL_DEFAULT(true)),
      RTL_PROPERTY(ValidationErrorIconAlignment, GetValidationErrorIconAlignment, SetValidationErrorIconAlignment,
                   RTL_DEFAULT(rtl::TAlignment::taLeftJustify)),
      RTL_PROPERTY(ValidationOptions, GetValidationOptions, SetValidationOptions,
                   RTL_DEFAULT(TcxEditValidationOptions{TcxEditValidationOption::evoRaiseException})),
      RTL_PROPERTY(OnChange, GetOnChange, SetOnChange),
      RTL_PROPERTY(OnEditValueChanged, GetOnEditValueChanged, SetOnEditValueChanged),
      RTL_PROPERTY(OnNewLookupDisplayText, GetOnNewLookupDisplayText, SetOnNewLookupDisplayText),
      RTL_PROPERTY(OnValidate, GetOnValidate, SetOnValidate))

 public:
  void SetTextAssignedValues(TcxTextEditPropertiesValues* AValue) { SetAssignedValues(AValue); }
  rtl::TStrings* GetLookupItemsList() const { return GetLookupItems(); }
  bool IsMaxLengthStored() const { return GetTextAssignedValues()->GetMaxLength(); }
  int GetPasswordCharCode() const { return GetPasswordChar(); }
  void SetPasswordCharCode(int AValue) { SetPasswordChar(static_cast<wchar_t>(AValue)); }
};

// ---------------------------------------------------------------------------
// The editor

class TcxCustomMaskEdit : public TcxCustomTextEdit {
  RTL_CLASS(TcxCustomMaskEdit, TcxCustomTextEdit)

 public:
  void Destroy() override;
  TcxCustomEditPropertiesClass GetPropertiesClass() override;
  TcxCustomMaskEditProperties* GetMaskProperties() const
  {
    return static_cast<TcxCustomMaskEditProperties*>(GetInternalProperties());
  }
  TcxCustomMaskEditProperties* GetActiveMaskProperties()
  {
    return static_cast<TcxCustomMaskEditProperties*>(GetActiveProperties());
  }
  TcxMaskEditCustomMode* Mode() const { return FMode.get(); }

  // The inner window's text, and writing it formatted for the mask.
  String GetEditText();
  void SetEditText(const String& AValue);
  // The unmasked text of a masked editor, else the text editor's.
  String GetMaskedText();
  void SetMaskedText(const String& AValue);

  void CutToClipboard() override;
  void PasteFromClipboard() override;
  void SetSelText(const rtl::String& AValue) override;
  void PrepareEditValue(const rtl::Variant& ADisplayValue, rtl::Variant& EditValue, bool AEditFocused) override;

  // What the modes use.
  bool IsMasked() { return GetActiveMaskProperties()->IsMasked(); }
  void SetSelStartInternally(int AValue);
  void SetSelLengthInternally(int AValue);
  void SendOwnKeyDown(WORD AKey, vcl::TShiftState AShift = {});
  void SendOwnKeyPress(wchar_t AChar);
  bool GetShiftOn() const { return FShiftOn; }
  void SetShiftOn(bool AValue) { FShiftOn = AValue; }
  void SetInnerText(const String& AText) { SetInnerEditValue(rtl::Variant(AText)); }

  virtual bool CanSynchronizeModeText() { return true; }
  // A descendant may refuse the character typed at a one-based position,
  // or clear it.
  virtual bool IsCharValidAt(wchar_t& /*AChar*/, int /*APos*/) { return true; }

 protected:
  virtual void RebuildDisplayValue();

  void Initialize() override;
  void Loaded() override;
  bool CanSpellCheck() override;
  bool CheckSelTextReplacement(const rtl::String& ANewSelText, rtl::String& AText, int& ASelStart) override;
  void InnerEditSelectionChanged(rtl::TObject* Sender) override;
  void InnerEditUndone() override;
  void InnerEditChanged(rtl::TObject* Sender) override;
  void SetDisplayValue(const rtl::Variant& AValue) override;
  void RefreshDisplayValue() override;
  void PropertiesChanged(rtl::TObject* Sender) override;
  void KeyDown(WORD& AKey, vcl::TShiftState AShift) override;
  void KeyPress(wchar_t& AKey) override;
  void KeyUp(WORD& AKey, vcl::TShiftState AShift) override;
  void ProcessKeyDown(WORD& AKey, vcl::TShiftState AShift) override;
  void ProcessKeyPress(wchar_t& AKey) override;
  void DoEnter() override;
  void DblClick() override;
  void MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y) override;
  void MouseMove(vcl::TShiftState AShift, int X, int Y) override;
  void HookInnerEditWndProc() override;
  void UnhookInnerEditWndProc() override;

  void SynchronizeModeText();
  // The display text of a value: formatted for the mask while focused, for
  // regular expressions and when blanks and literals always show.
  String DisplayTextFor(const String& AValue);

 private:
  friend class TcxMaskEditCustomMode;

  bool FInternalTextSelection;
  std::unique_ptr<TcxMaskEditCustomMode> FMode;
  bool FMyMessage;
  // The inner window's redrawing is off while its procedure is hooked.
  bool FRedrawLocked;
  bool FShiftOn;
  String FUnmaskedText;
};

class TcxMaskEdit : public TcxCustomMaskEdit {
  RTL_CLASS(TcxMaskEdit, TcxCustomMaskEdit)
  RTL_PUBLISHED(RTL_PUBLISH(Align), RTL_PUBLISH(Anchors),
                RTL_PROPERTY(AutoSize, GetAutoSize, SetAutoSize, RTL_DEFAULT(true)),
                RTL_PROPERTY(BeepOnEnter, GetBeepOnEnter, SetBeepOnEnter, RTL_DEFAULT(true)), RTL_PUBLISH(BiDiMode),
                RTL_PUBLISH(Constraints), RTL_PUBLISH(DragCursor), RTL_PUBLISH(DragKind), RTL_PUBLISH(DragMode),
                RTL_PUBLISH(Enabled), RTL_PUBLISH(ParentBiDiMode), RTL_PUBLISH(ParentColor),
                RTL_PUBLISH(ParentFont), RTL_PUBLISH(ParentShowHint), RTL_PUBLISH(PopupMenu),
                RTL_PROPERTY(Properties, GetMaskEditProperties, SetMaskEditProperties), RTL_PUBLISH(ShowHint),
                RTL_PROPERTY(Style, GetStyle, SetStyle),
                RTL_PROPERTY(StyleDisabled, GetStyleDisabled, SetStyleDisabled),
                RTL_PROPERTY(StyleFocused, GetStyleFocused, SetStyleFocused),
                RTL_PROPERTY(StyleHot, GetStyleHot, SetStyleHot), RTL_PUBLISH(TabOrder), RTL_PUBLISH(TabStop),
                RTL_PROPERTY(Text, GetMaskedText, SetMaskedText),
                RTL_PROPERTY(TextHint, GetTextHint, SetTextHint), RTL_PUBLISH(Visible), RTL_PUBLISH(OnClick),
                RTL_PUBLISH(OnContextPopup), RTL_PUBLISH(OnDblClick), RTL_PUBLISH(OnDragDrop),
                RTL_PUBLISH(OnDragOver), RTL_PUBLISH(OnEndDock), RTL_PUBLISH(OnEndDrag), RTL_PUBLISH(OnEnter),
                RTL_PUBLISH(OnExit), RTL_PUBLISH(OnKeyDown), RTL_PUBLISH(OnKeyPress), RTL_PUBLISH(OnKeyUp),
                RTL_PUBLISH(OnMouseDown), RTL_PUBLISH(OnMouseEnter), RTL_PUBLISH(OnMouseLeave),
                RTL_PUBLISH(OnMouseMove), RTL_PUBLISH(OnMouseUp), RTL_PUBLISH(OnStartDock),
                RTL_PUBLISH(OnStartDrag))

 public:
  TcxMaskEditProperties* GetMaskEditProperties() const
  {
    return static_cast<TcxMaskEditProperties*>(GetInternalProperties());
  }
  void SetMaskEditProperties(TcxMaskEditProperties* AValue) { SetProperties(AValue); }
  TcxCustomEditPropertiesClass GetPropertiesClass() override;
};
