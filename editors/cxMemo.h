// The memo: the multi-line text editor over a multi-line EDIT window, its
// properties, its inner memo and the line-break routines of its lines.
#pragma once

#include "editors/cxTextEdit.h"

RTL_DECLARE_UNIT(cxMemo);

// ---------------------------------------------------------------------------
// Routines

// An LF CR pair becomes two CR LF pairs; CR LF and lone CR or LF stay.
void cxAdjustMemoLineBreaks(rtl::String& S);
// S cut before its first CR or LF within the limit (the length of S, or
// AMaxLength when positive and smaller), then to at most the limit.
void cxTruncateToFirstLine(rtl::String& S, int AMaxLength);

// ---------------------------------------------------------------------------
// TcxCustomMemoProperties

class TcxCustomMemoProperties : public TcxCustomTextEditProperties {
  RTL_CLASS(TcxCustomMemoProperties, TcxCustomTextEditProperties)

 public:
  void Create(rtl::TPersistent* AOwner) override;
  void AssignFrom(TcxCustomEditProperties* ASource) override;
  bool IsMultiLine() override { return true; }
  bool KeepsTabKey() override { return FWantTabs; }
  TcxEditSpecialFeatures GetSpecialFeatures() override;
  TcxEditSupportedOperations GetSupportedOperations() override;
  TcxDataEditValueSource GetEditValueSource(bool AEditFocused) override;
  rtl::String GetDisplayText(const rtl::Variant& AEditValue, bool AFullText = false, bool AIsInplace = true) override;
  TcxCustomEditClass GetContainerClass() override;
  TcxCustomEditViewInfoClass GetViewInfoClass() override;
  TcxCustomEditViewDataClass ViewDataClass() override;

  rtl::TAlignment GetMemoAlignment() { return GetAlignment()->GetHorz(); }
  void SetMemoAlignment(rtl::TAlignment AValue) { GetAlignment()->SetHorz(AValue); }
  bool IsMemoAlignmentStored() { return GetAlignment()->IsHorzStored(); }
  vcl::TScrollStyle GetScrollBars() const { return FScrollBars; }
  void SetScrollBars(vcl::TScrollStyle AValue);
  int GetVisibleLineCount() const { return FVisibleLineCount; }
  void SetVisibleLineCount(int AValue);
  bool GetWantReturns() const { return FWantReturns; }
  void SetWantReturns(bool AValue);
  bool GetWantTabs() const { return FWantTabs; }
  void SetWantTabs(bool AValue);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool AValue);

 private:
  vcl::TScrollStyle FScrollBars;
  int FVisibleLineCount;
  bool FWantReturns;
  bool FWantTabs;
  bool FWordWrap;
};

class TcxMemoProperties : public TcxCustomMemoProperties {
  RTL_CLASS(TcxMemoProperties, TcxCustomMemoProperties)
  RTL_PUBLISHED(
      RTL_PROPERTY(Alignment, GetMemoAlignment, SetMemoAlignment, RTL_STORED(IsMemoAlignmentStored)),
      RTL_PROPERTY(AutoSelect, GetAutoSelect, SetAutoSelect, RTL_DEFAULT(false)),
      RTL_PROPERTY(CharCase, GetCharCase, SetCharCase, RTL_DEFAULT(vcl::TEditCharCase::ecNormal)),
      RTL_PROPERTY(ClearKey, GetClearKey, SetClearKey, RTL_DEFAULT(0)),
      RTL_PROPERTY(HideSelection, GetHideSelection, SetHideSelection, RTL_DEFAULT(true)),
      RTL_PROPERTY(ImeMode, GetImeMode, SetImeMode, RTL_DEFAULT(TImeMode::imDontCare)),
      RTL_PROPERTY(ImeName, GetImeName, SetImeName),
      RTL_PROPERTY(MaxLength, GetMaxLength, SetMaxLength, RTL_STORED(IsMaxLengthStored)),
      RTL_PROPERTY(OEMConvert, GetOEMConvert, SetOEMConvert, RTL_DEFAULT(false)),
      RTL_PROPERTY(ReadOnly, GetReadOnly, SetReadOnly, RTL_DEFAULT(false)),
      RTL_PROPERTY(ScrollBars, GetScrollBars, SetScrollBars, RTL_DEFAULT(vcl::TScrollStyle::ssNone)),
      RTL_PROPERTY(ValidationErrorIconAlignment, GetValidationErrorIconAlignment, SetValidationErrorIconAlignment,
                   RTL_DEFAULT(rtl::TAlignment::taLeftJustify)),
      RTL_PROPERTY(ValidationOptions, GetValidationOptions, SetValidationOptions,
                   RTL_DEFAULT(TcxEditValidationOptions{TcxEditValidationOption::evoRaiseException})),
      RTL_PROPERTY(VisibleLineCount, GetVisibleLineCount, SetVisibleLineCount, RTL_DEFAULT(0)),
      RTL_PROPERTY(WantReturns, GetWantReturns, SetWantReturns, RTL_DEFAULT(true)),
      RTL_PROPERTY(WantTabs, GetWantTabs, SetWantTabs, RTL_DEFAULT(false)),
      RTL_PROPERTY(WordWrap, GetWordWrap, SetWordWrap, RTL_DEFAULT(true)),
      RTL_PROPERTY(OnChange, GetOnChange, SetOnChange),
      RTL_PROPERTY(OnEditValueChanged, GetOnEditValueChanged, SetOnEditValueChanged))

 public:
  bool IsMaxLengthStored() const { return GetTextAssignedValues()->GetMaxLength(); }
};

// ---------------------------------------------------------------------------
// Layout and drawing

// The memo's rows: edit-control line breaking with tabs, wrapped unless a
// horizontal bar scrolls the lines; VisibleLineCount fixes the row count.
class TcxCustomMemoViewData : public TcxCustomTextEditViewData {
  RTL_CLASS(TcxCustomMemoViewData, TcxCustomTextEditViewData)

 public:
  unsigned GetDrawTextFlags() override;
  TRect GetDrawTextOffset() override;
  int GetMaxLineCount() override;
  TSize GetEditContentSizeCorrection() override;
  void CalculateConstantPartSize(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, TSize& AConstantPart,
                                 TSize& MinContentSize) override;
  TSize CalculateValueContentSize(TcxCanvas* ACanvas, const rtl::Variant& AEditValue,
                                  const TcxEditSizeProperties& AEditSizeProperties) override;
  TSize GetEditingContentSize(TcxCanvas* ACanvas, const rtl::Variant& AEditValue,
                              const TcxEditSizeProperties& AEditSizeProperties) override;

 private:
  TcxCustomMemoProperties* MemoProperties() const
  {
    return static_cast<TcxCustomMemoProperties*>(GetProperties());
  }
  int VisibleLineCount() const { return MemoProperties()->GetVisibleLineCount(); }
};

// Draws the memo's rows like the text view info, with the memo's flags.
class TcxCustomMemoViewInfo : public TcxCustomTextEditViewInfo {
  RTL_CLASS(TcxCustomMemoViewInfo, TcxCustomTextEditViewInfo)
};

// ---------------------------------------------------------------------------
// The inner memo

class TcxCustomInnerMemo;
class TcxCustomMemo;

// Posted to the inner memo after lines were appended: they go into the
// window then, if nothing asked for them before.
inline constexpr UINT DXM_MEMOFLUSHLINES = 0x8140;

// The memo's line list: the window's lines, with appended lines kept back.
// Adding an entry to the end only appends it to a pending text, so filling
// a memo line by line costs time in proportion to the text; the pending
// text goes into the window in one replacement as soon as anything else
// touches the lines, the window or the value (or the message loop comes
// round). Add answers the index counted in the text's own line breaks.
class TcxMemoLines : public rtl::TStrings {
  RTL_CLASS(TcxMemoLines, rtl::TStrings)

 public:
  virtual void Create(TcxCustomInnerMemo* AMemo);

  int Add(const rtl::String& S) override;
  int GetCount() const override;
  void Clear() override;
  void Delete(int AIndex) override;
  void Insert(int AIndex, const rtl::String& S) override;
  // Puts the pending text into the window.
  void Flush();
  bool HasPending() const { return !FPending.empty(); }

 protected:
  rtl::String Get(int AIndex) override;
  void Put(int AIndex, const rtl::String& S) override;
  rtl::String GetTextStr() override;
  void SetTextStr(const rtl::String& AText) override;
  void SetUpdateState(bool AUpdating) override;

 private:
  rtl::TStrings* WindowLines() const;

  TcxCustomInnerMemo* FMemo;
  rtl::String FPending;
  // The lines of window and pending text, and whether that text is empty
  // or ends with a line break (the next entry starts a line of its own).
  int FCount;
  bool FEndsAtLineStart;
  bool FFlushing;
};

// What the memo's inner control adds to an inner text edit; its helper
// answers both.
struct IcxInnerMemo : rtl::IInterface {
  RTL_GUID(IcxInnerMemo, "{9D0DFE35-58DC-4C0C-9C98-65C5AAD757C9}")
  virtual TPoint __stdcall GetCaretPos() = 0;
  virtual rtl::TStrings* __stdcall GetLines() = 0;
  virtual vcl::TScrollStyle __stdcall GetScrollBars() = 0;
  virtual bool __stdcall GetWantReturns() = 0;
  virtual bool __stdcall GetWantTabs() = 0;
  virtual bool __stdcall GetWordWrap() = 0;
  virtual void __stdcall SetCaretPos(const TPoint& AValue) = 0;
  virtual void __stdcall SetScrollBars(vcl::TScrollStyle AValue) = 0;
  virtual void __stdcall SetWantReturns(bool AValue) = 0;
  virtual void __stdcall SetWantTabs(bool AValue) = 0;
  virtual void __stdcall SetWordWrap(bool AValue) = 0;
};

class TcxCustomInnerMemoHelper : public TcxCustomInnerTextEditHelper, public IcxInnerMemo {
  RTL_CLASS(TcxCustomInnerMemoHelper, TcxCustomInnerTextEditHelper)
  RTL_INTERFACES(IcxInnerMemo)

 public:
  virtual void CreateForMemo(TcxCustomInnerMemo* AMemo);

  TcxContainer* __stdcall GetControlContainer() override;
  rtl::Variant __stdcall GetEditValue() override;
  void __stdcall LockBounds(bool ALock) override;
  void __stdcall SetEditValue(const rtl::Variant& AValue) override;
  rtl::TAlignment __stdcall GetAlignment() override;
  TcxEditEchoMode __stdcall GetEchoMode() override { return TcxEditEchoMode::eemNormal; }
  bool __stdcall GetInternalUpdating() override;
  bool __stdcall GetMultiLine() override { return true; }
  rtl::TNotifyEvent __stdcall GetOnSelChange() override;
  wchar_t __stdcall GetPasswordChar() override { return 0; }
  bool __stdcall GetUseLeftAlignmentOnEditing() override { return false; }
  void __stdcall SetAlignment(rtl::TAlignment AValue) override;
  void __stdcall SetEchoMode(TcxEditEchoMode /*AValue*/) override {}
  void __stdcall SetInternalUpdating(bool AValue) override;
  void __stdcall SetOnSelChange(rtl::TNotifyEvent AValue) override;
  void __stdcall SetPasswordChar(wchar_t /*AValue*/) override {}
  void __stdcall SetUseLeftAlignmentOnEditing(bool /*AValue*/) override {}
  // IcxInnerMemo
  TPoint __stdcall GetCaretPos() override;
  rtl::TStrings* __stdcall GetLines() override;
  vcl::TScrollStyle __stdcall GetScrollBars() override;
  bool __stdcall GetWantReturns() override;
  bool __stdcall GetWantTabs() override;
  bool __stdcall GetWordWrap() override;
  void __stdcall SetCaretPos(const TPoint& AValue) override;
  void __stdcall SetScrollBars(vcl::TScrollStyle AValue) override;
  void __stdcall SetWantReturns(bool AValue) override;
  void __stdcall SetWantTabs(bool AValue) override;
  void __stdcall SetWordWrap(bool AValue) override;

 private:
  TcxCustomInnerMemo* FMemo;
};

class TcxCustomInnerMemo : public vcl::TMemo, public IcxContainerInnerControl, public IcxInnerEditHelper {
  RTL_CLASS(TcxCustomInnerMemo, vcl::TMemo)
  RTL_INTERFACES(IcxContainerInnerControl, IcxInnerEditHelper)
  RTL_MESSAGES(RTL_MESSAGE(WM_SETFOCUS, HandleWMSetFocus), RTL_MESSAGE(WM_KILLFOCUS, HandleWMKillFocus),
               RTL_MESSAGE(WM_SETTEXT, HandleWMSetText), RTL_MESSAGE(EM_REPLACESEL, HandleEMReplaceSel),
               RTL_MESSAGE(EM_SETSEL, HandleEMSetSel), RTL_MESSAGE(WM_SETFONT, HandleWMSetFont),
               RTL_MESSAGE(WM_NCPAINT, HandleWMNCPaint))

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;
  void DefaultHandler(rtl::TMessage& AMessage) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  TcxCustomMemo* GetContainer() const;
  TcxMemoLines* GetMemoLines() const { return FMemoLines; }
  // Set while the lines put their pending text in: it is adjusted already.
  bool FAppendingPending;
  bool GetInternalUpdating() const { return FInternalUpdating; }
  void SetInternalUpdating(bool AValue) { FInternalUpdating = AValue; }
  void LockBounds(bool ALock);
  rtl::TNotifyEvent GetOnSelChange() const { return FOnSelChange; }
  void SetOnSelChange(rtl::TNotifyEvent AValue) { FOnSelChange = AValue; }
  // Text set by the memo itself while positive: it does not go back to the
  // editor.
  int FInternalTextSettingCount;

  // IcxContainerInnerControl
  vcl::TWinControl* __stdcall GetControl() override { return this; }
  TcxContainer* __stdcall GetControlContainer() override;
  // IcxInnerEditHelper
  IcxCustomInnerEdit* __stdcall GetHelper() override { return FHelper; }

 protected:
  void WndProc(rtl::TMessage& AMessage) override;
  void KeyDown(WORD& AKey, vcl::TShiftState AShift) override;
  void KeyPress(wchar_t& AKey) override;
  void KeyUp(WORD& AKey, vcl::TShiftState AShift) override;

  void HandleWMSetFocus(rtl::TMessage& AMessage);
  void HandleWMKillFocus(rtl::TMessage& AMessage);
  void HandleWMSetText(rtl::TMessage& AMessage);
  void HandleEMReplaceSel(rtl::TMessage& AMessage);
  void HandleEMSetSel(rtl::TMessage& AMessage);
  void HandleWMSetFont(rtl::TMessage& AMessage);
  // The native bars are the editor's to draw: they are hidden while the
  // window paints its frame, and the corner between them is filled.
  void HandleWMNCPaint(rtl::TMessage& AMessage);

 private:
  // Tells the editor's bars what the native ones show now.
  void MirrorScrollBars(const rtl::TMessage& AMessage, bool ABefore);

  TcxCustomInnerMemoHelper* FHelper;
  TcxMemoLines* FMemoLines;
  bool FInternalUpdating;
  bool FIsCreating;
  int FLockBoundsCount;
  rtl::TNotifyEvent FOnSelChange;
};

// ---------------------------------------------------------------------------
// TcxCustomMemo

class TcxCustomMemo : public TcxCustomTextEdit {
  RTL_CLASS(TcxCustomMemo, TcxCustomTextEdit)

 public:
  // The inner memo's own line list, the same object every time.
  rtl::TStrings* GetLines();
  void SetLines(rtl::TStrings* AValue) { GetLines()->Assign(AValue); }
  TPoint GetCaretPos();
  void SetCaretPos(const TPoint& AValue);
  TcxCustomMemoProperties* GetActiveMemoProperties()
  {
    return static_cast<TcxCustomMemoProperties*>(GetActiveProperties());
  }
  bool IsEditClass() override { return true; }
  TcxCustomEditPropertiesClass GetPropertiesClass() override;
  // The text has changed outside a user action: EditValue follows it.
  void CompleteTextChange();
  using TcxCustomTextEdit::SynchronizeEditValue;

 protected:
  IcxInnerMemo* GetInnerMemo();
  void Initialize() override;
  rtl::ClassOf<vcl::TWinControl> GetInnerEditClass() override;
  void PropertiesChanged(rtl::TObject* Sender) override;
  void AdjustInnerEditPosition() override;
  void ProcessKeyDown(WORD& AKey, vcl::TShiftState AShift) override;
  bool IsValueChangingChar(wchar_t AChar) override;
  bool WantsTabKey() override;
  bool ResendsActivationKey(wchar_t AKey) override { return AKey != L'\r'; }
  void ReadState(rtl::TReader* AReader) override;
  // Lines kept back go into the window first.
  rtl::Variant DoGetEditValue() override;

  // The memo draws its own bars over the inner window's native ones.
  bool NeedsScrollBars() override { return true; }
  // The touch and hybrid modes' bars float over the text and are placed and
  // shown by those modes' scroll UI, which does not drive a memo: a memo in
  // such a mode showed its bar unplaced beside the inner window's own. The
  // memo keeps the classic mode, where its bars cover the native ones.
  bool IsTouchScrollbarModeSupported() override { return false; }
  bool CanScrollContentWithoutScrollBars(TcxDirection ADirection) override;
  bool CanAutoSize() override;
  // A bar of the memo moves the native bar of the inner window.
  void Scroll(TScrollBarKind AScrollBarKind, TScrollCode AScrollCode, int& AScrollPos) override;
  void WndProc(rtl::TMessage& AMessage) override;
  void EnabledChanged() override;
  void InnerEditChanged(rtl::TObject* Sender) override;

  friend class TcxCustomInnerMemo;
};

class TcxMemo : public TcxCustomMemo {
  RTL_CLASS(TcxMemo, TcxCustomMemo)
  RTL_PUBLISHED(RTL_PUBLISH(Align), RTL_PUBLISH(Anchors), RTL_PUBLISH(BiDiMode), RTL_PUBLISH(Constraints),
                RTL_PUBLISH(DragCursor), RTL_PUBLISH(DragKind), RTL_PUBLISH(DragMode), RTL_PUBLISH(Enabled),
                RTL_PROPERTY(Lines, GetLines, SetLines), RTL_PUBLISH(ParentBiDiMode), RTL_PUBLISH(ParentColor),
                RTL_PUBLISH(ParentFont), RTL_PUBLISH(ParentShowHint), RTL_PUBLISH(PopupMenu),
                RTL_PROPERTY(Properties, GetMemoProperties, SetMemoProperties), RTL_PUBLISH(ShowHint),
                RTL_PROPERTY(Style, GetStyle, SetStyle),
                RTL_PROPERTY(StyleDisabled, GetStyleDisabled, SetStyleDisabled),
                RTL_PROPERTY(StyleFocused, GetStyleFocused, SetStyleFocused),
                RTL_PROPERTY(StyleHot, GetStyleHot, SetStyleHot), RTL_PUBLISH(TabOrder), RTL_PUBLISH(TabStop),
                RTL_PUBLISH(Visible), RTL_PUBLISH(OnClick), RTL_PUBLISH(OnContextPopup), RTL_PUBLISH(OnDblClick),
                RTL_PUBLISH(OnDragDrop), RTL_PUBLISH(OnDragOver), RTL_PUBLISH(OnEndDock), RTL_PUBLISH(OnEndDrag),
                RTL_PUBLISH(OnEnter), RTL_PUBLISH(OnExit), RTL_PUBLISH(OnKeyDown), RTL_PUBLISH(OnKeyPress),
                RTL_PUBLISH(OnKeyUp), RTL_PUBLISH(OnMouseDown), RTL_PUBLISH(OnMouseEnter),
                RTL_PUBLISH(OnMouseLeave), RTL_PUBLISH(OnMouseMove), RTL_PUBLISH(OnMouseUp),
                RTL_PUBLISH(OnStartDock), RTL_PUBLISH(OnStartDrag))

 public:
  TcxMemoProperties* GetMemoProperties() const { return static_cast<TcxMemoProperties*>(GetInternalProperties()); }
  void SetMemoProperties(TcxMemoProperties* AValue) { SetProperties(AValue); }
  TcxCustomEditPropertiesClass GetPropertiesClass() override;
};
