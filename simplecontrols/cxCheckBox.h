// The check box: an editor whose value is one of three configurable values,
// shown as a mark with three states and a caption.
//   TcxEditCheckState, TcxCheckBoxNullValueShowingStyle: the mark's
//     interaction state and how the grayed state is drawn
//   IdxMultiPartGlyphSupport: an owner of a glyph strip of several parts
//   TcxCustomCheckBoxProperties, TcxCheckBoxProperties: the settings
//   TcxCheckBoxMarkParams, cxDrawCheckBoxMark: the mark from a glyph, a
//     skin, the theme or in one of the editors' border styles
#pragma once

#include <array>

#include "editors/cxEdit.h"
#include "editors/cxFilterControlUtils.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/rtl/Variants.h"

RTL_DECLARE_UNIT(cxCheckBox);

RTL_ENUM(TcxEditCheckState, ecsNormal, ecsHot, ecsPressed, ecsDisabled);
RTL_ENUM(TcxCheckBoxNullValueShowingStyle, nssUnchecked, nssInactive, nssGrayedChecked);

// An owner of a glyph that is a strip of equally wide parts.
struct IdxMultiPartGlyphSupport : rtl::IInterface {
  RTL_GUID(IdxMultiPartGlyphSupport, "{5C0E7B32-90D4-4F3B-9D55-1E8C3A0B7A61}")
  virtual int __stdcall GetGlyphCount() = 0;
  virtual void __stdcall SetGlyphCount(int AValue) = 0;
  virtual rtl::String __stdcall GetPartName(int AIndex) = 0;
};

// ---------------------------------------------------------------------------
// TcxCustomCheckBoxProperties

class TcxCustomCheckBoxProperties : public TcxCustomEditProperties, public IdxMultiPartGlyphSupport {
  RTL_CLASS(TcxCustomCheckBoxProperties, TcxCustomEditProperties)
  RTL_INTERFACES(IdxMultiPartGlyphSupport)

 public:
  void Create(rtl::TPersistent* AOwner) override;
  void Destroy() override;

  void AssignFrom(TcxCustomEditProperties* ASource) override;

  bool CanCompareEditValue() override { return true; }
  // Equal for display when both show the same state.
  bool CompareDisplayValues(const rtl::Variant& AEditValue1, const rtl::Variant& AEditValue2) override;
  rtl::String GetDisplayText(const rtl::Variant& AEditValue, bool AFullText = false, bool AIsInplace = true) override;
  TcxEditSpecialFeatures GetSpecialFeatures() override;
  TcxEditSupportedOperations GetSupportedOperations() override;
  bool HasDisplayValueValidation() override { return true; }
  bool InnerEditReportsChanges() override { return true; }
  bool IsActivationKey(wchar_t AKey) override { return AKey == L' '; }
  bool IsEditValueValid(rtl::Variant& EditValue, bool AEditFocused) override;
  bool IsResetEditClass() override { return true; }
  TcxCustomEditClass GetContainerClass() override;
  TcxCustomEditStyleClass GetStyleClass() override;
  TcxCustomEditViewInfoClass GetViewInfoClass() override;
  TcxCustomEditViewDataClass ViewDataClass() override;
  // The state as an integer: 1 checked, 0 unchecked, 2 anything else.
  void PrepareDisplayValue(const rtl::Variant& AEditValue, rtl::Variant& DisplayValue, bool AEditFocused) override;

  // The glyph drawn: the properties' own.
  virtual TdxSmartGlyph* InternalGetGlyph() { return FGlyph; }
  // Whether an in-place check box shows its caption.
  virtual bool IsCaptionVisibleInplace() { return false; }

  // The state a value shows.
  TcxCheckBoxState GetState(const rtl::Variant& AEditValue);
  // The value of a state.
  rtl::Variant GetValueByState(TcxCheckBoxState AState);

  bool GetAllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool AValue);
  const rtl::String& GetCaption() const { return FCaption; }
  // For streams of older versions.
  void SetCaption(const rtl::String& AValue);
  bool IsCaptionAssigned() const { return FIsCaptionAssigned; }
  void ResetCaptionAssigned() { FIsCaptionAssigned = false; }
  rtl::String GetDisplayCheckState(TcxCheckBoxState AState);
  void SetDisplayCheckState(TcxCheckBoxState AState, const rtl::String& AValue);
  rtl::String GetDisplayChecked() { return GetDisplayCheckState(TcxCheckBoxState::cbsChecked); }
  void SetDisplayChecked(const rtl::String& AValue) { SetDisplayCheckState(TcxCheckBoxState::cbsChecked, AValue); }
  rtl::String GetDisplayGrayed() { return GetDisplayCheckState(TcxCheckBoxState::cbsGrayed); }
  void SetDisplayGrayed(const rtl::String& AValue) { SetDisplayCheckState(TcxCheckBoxState::cbsGrayed, AValue); }
  rtl::String GetDisplayUnchecked() { return GetDisplayCheckState(TcxCheckBoxState::cbsUnchecked); }
  void SetDisplayUnchecked(const rtl::String& AValue) { SetDisplayCheckState(TcxCheckBoxState::cbsUnchecked, AValue); }
  bool GetFullFocusRect() const { return FFullFocusRect; }
  void SetFullFocusRect(bool AValue);
  TdxSmartGlyph* GetGlyph() { return InternalGetGlyph(); }
  void SetGlyph(TdxSmartGlyph* AValue);
  int GetGlyphCountValue() const { return FGlyphCount; }
  void SetGlyphCountValue(int AValue);
  bool GetMultiLine() const { return FMultiLine; }
  void SetMultiLine(bool AValue);
  TcxCheckBoxNullValueShowingStyle GetNullStyle() const { return FNullStyle; }
  void SetNullStyle(TcxCheckBoxNullValueShowingStyle AValue);
  bool GetShowEndEllipsis() const { return FShowEndEllipsis; }
  void SetShowEndEllipsis(bool AValue);
  bool GetUseAlignmentWhenInplace() const { return FUseAlignmentWhenInplace; }
  void SetUseAlignmentWhenInplace(bool AValue);
  const rtl::Variant& GetValueChecked() const { return FValueChecked; }
  void SetValueChecked(const rtl::Variant& AValue);
  const rtl::Variant& GetValueGrayed() const { return FValueGrayed; }
  void SetValueGrayed(const rtl::Variant& AValue);
  const rtl::Variant& GetValueUnchecked() const { return FValueUnchecked; }
  void SetValueUnchecked(const rtl::Variant& AValue);

  rtl::TAlignment GetHorzAlignment() { return GetAlignment()->GetHorz(); }
  void SetHorzAlignment(rtl::TAlignment AValue) { GetAlignment()->SetHorz(AValue); }

  // IdxMultiPartGlyphSupport
  int __stdcall GetGlyphCount() override { return FGlyphCount; }
  void __stdcall SetGlyphCount(int AValue) override { SetGlyphCountValue(AValue); }
  rtl::String __stdcall GetPartName(int AIndex) override;

 protected:
  bool IsAlignmentStored() { return GetAlignment()->IsHorzStored(); }
  bool IsDisplayCheckedStored() const { return FIsDisplayCheckStateAssigned[1]; }
  bool IsDisplayGrayedStored() const { return FIsDisplayCheckStateAssigned[2]; }
  bool IsDisplayUncheckedStored() const { return FIsDisplayCheckStateAssigned[0]; }
  bool IsValueCheckedStored() const;
  bool IsValueGrayedStored() const;
  bool IsValueUncheckedStored() const;

 private:
  template <typename T>
  void SetValue(T& AField, T AValue);
  // Whether AValue may become one of the three values: it must differ from
  // all of them (and not be Null unless it is the grayed one), except while
  // the owner loads.
  bool CanAcceptValue(const rtl::Variant& AValue, bool AAllowNull);
  bool IsOwnerLoading();
  void GlyphChanged(rtl::TObject* Sender);

  bool FAllowGrayed;
  rtl::String FCaption;
  std::array<rtl::String, 3> FDisplayCheckState;
  bool FFullFocusRect;
  TdxSmartGlyph* FGlyph;
  int FGlyphCount;
  bool FIsCaptionAssigned;
  std::array<bool, 3> FIsDisplayCheckStateAssigned;
  bool FMultiLine;
  TcxCheckBoxNullValueShowingStyle FNullStyle;
  bool FShowEndEllipsis;
  bool FUseAlignmentWhenInplace;
  rtl::Variant FValueChecked;
  rtl::Variant FValueGrayed;
  rtl::Variant FValueUnchecked;
};

class TcxCheckBoxProperties : public TcxCustomCheckBoxProperties {
  RTL_CLASS(TcxCheckBoxProperties, TcxCustomCheckBoxProperties)
  RTL_PUBLISHED(
      RTL_PROPERTY(Alignment, GetHorzAlignment, SetHorzAlignment, RTL_STORED(IsAlignmentStored)),
      RTL_PROPERTY(AllowGrayed, GetAllowGrayed, SetAllowGrayed, RTL_DEFAULT(false)),
      RTL_PROPERTY(AssignedValues, GetAssignedValues, SetAssignedValues),
      RTL_PROPERTY(Caption, GetCaption, SetCaption, RTL_NOT_STORED),
      RTL_PROPERTY(ClearKey, GetClearKey, SetClearKey, RTL_DEFAULT(0)),
      RTL_PROPERTY(DisplayChecked, GetDisplayChecked, SetDisplayChecked, RTL_STORED(IsDisplayCheckedStored)),
      RTL_PROPERTY(DisplayUnchecked, GetDisplayUnchecked, SetDisplayUnchecked,
                   RTL_STORED(IsDisplayUncheckedStored)),
      RTL_PROPERTY(DisplayGrayed, GetDisplayGrayed, SetDisplayGrayed, RTL_STORED(IsDisplayGrayedStored)),
      RTL_PROPERTY(FullFocusRect, GetFullFocusRect, SetFullFocusRect, RTL_DEFAULT(false)),
      RTL_PROPERTY(Glyph, GetGlyph, SetGlyph),
      RTL_PROPERTY(GlyphCount, GetGlyphCountValue, SetGlyphCountValue, RTL_DEFAULT(6)),
      RTL_PROPERTY(ImmediatePost, GetImmediatePost, SetImmediatePost, RTL_DEFAULT(false)),
      RTL_PROPERTY(MultiLine, GetMultiLine, SetMultiLine, RTL_DEFAULT(false)),
      RTL_PROPERTY(NullStyle, GetNullStyle, SetNullStyle,
                   RTL_DEFAULT(TcxCheckBoxNullValueShowingStyle::nssGrayedChecked)),
      RTL_PROPERTY(ReadOnly, GetReadOnly, SetReadOnly, RTL_NOT_STORED),
      RTL_PROPERTY(ShowEndEllipsis, GetShowEndEllipsis, SetShowEndEllipsis, RTL_DEFAULT(false)),
      RTL_PROPERTY(UseAlignmentWhenInplace, GetUseAlignmentWhenInplace, SetUseAlignmentWhenInplace,
                   RTL_DEFAULT(false)),
      RTL_PROPERTY(ValidationErrorIconAlignment, GetValidationErrorIconAlignment, SetValidationErrorIconAlignment,
                   RTL_DEFAULT(rtl::TAlignment::taLeftJustify)),
      RTL_PROPERTY(ValidationOptions, GetValidationOptions, SetValidationOptions),
      RTL_PROPERTY(ValueChecked, GetValueChecked, SetValueChecked, RTL_STORED(IsValueCheckedStored)),
      RTL_PROPERTY(ValueGrayed, GetValueGrayed, SetValueGrayed, RTL_STORED(IsValueGrayedStored)),
      RTL_PROPERTY(ValueUnchecked, GetValueUnchecked, SetValueUnchecked, RTL_STORED(IsValueUncheckedStored)),
      RTL_PROPERTY(OnChange, GetOnChange, SetOnChange),
      RTL_PROPERTY(OnEditValueChanged, GetOnEditValueChanged, SetOnEditValueChanged))
};

// ---------------------------------------------------------------------------
// The mark

// The button state a mark's interaction state is drawn in.
TcxButtonState cxCheckStateToButtonState(TcxEditCheckState AState);
// The part of a glyph strip of AGlyphCount parts that shows AState in
// ACheckState: unchecked, checked, grayed, then the three pressed; a
// pressed part the strip lacks falls back to its unpressed one.
int cxCheckBoxGlyphPartIndex(TcxCheckBoxState AState, TcxEditCheckState ACheckState, int AGlyphCount);
// The theme state of the BP_CHECKBOX part.
int cxCheckBoxNativeState(TcxCheckBoxState AState, TcxEditCheckState ACheckState);

struct TcxCheckBoxMarkParams {
  TcxCheckBoxState State = TcxCheckBoxState::cbsUnchecked;
  TcxCheckBoxNullValueShowingStyle NullStyle = TcxCheckBoxNullValueShowingStyle::nssGrayedChecked;
  TcxEditCheckState CheckState = TcxEditCheckState::ecsNormal;
  const TdxScaleFactor* ScaleFactor = nullptr;
  // The skin painter when the look and feel is skinned, else nil.
  TcxCustomLookAndFeelPainter* SkinPainter = nullptr;
  bool Focused = false;
  bool IsDesigning = false;
  // Fill the background under the mark first.
  bool Opaque = false;
  vcl::TColor BackgroundColor = vcl::clWindow;
  vcl::TColor BorderColor = vcl::clBtnShadow;
  bool NativeStyle = false;
  TcxEditBorderStyle BorderStyle = TcxEditBorderStyle::ebsSingle;
  int GlyphCount = 6;
  // Drawn when it has an image and GlyphCount is positive.
  TdxSmartGlyph* Glyph = nullptr;
};

// The first of: the glyph, the skin, the theme, the editors' own frame and
// mark. Nothing for an empty rectangle.
void cxDrawCheckBoxMark(TcxCanvas* ACanvas, const TRect& R, const TcxCheckBoxMarkParams& AParams);

// ---------------------------------------------------------------------------
// The layout and drawing of a check box

// A check box's style draws no frame around the box and caption.
class TcxCheckBoxStyle : public TcxEditStyle {
  RTL_CLASS(TcxCheckBoxStyle, TcxEditStyle)

 public:
  bool HasBorder() override;
};

class TcxCustomCheckBox;
class TcxCustomCheckBoxViewInfo;

// Fades the mark between its normal and its hot picture.
class TcxCustomCheckControlFadingHelper : public TcxCustomEditFadingHelper {
  RTL_CLASS(TcxCustomCheckControlFadingHelper, TcxCustomEditFadingHelper)

 public:
  using TcxCustomEditFadingHelper::Invalidate;

  virtual void Create(TcxCustomCheckBoxViewInfo* AViewInfo);
  TcxCustomEditViewInfo* GetEditViewInfo() override;
  // The mark only, without erasing.
  void Invalidate() override;
  // Starts a fade when the mark's state changed since last seen.
  void UpdateState();

  bool __stdcall FadingCanFade() override;
  void __stdcall FadingRepaint() override { Invalidate(); }

 protected:
  TcxCustomCheckBoxViewInfo* FViewInfo;
  TcxEditCheckState FState;
};

class TcxCheckBoxFadingHelper : public TcxCustomCheckControlFadingHelper {
  RTL_CLASS(TcxCheckBoxFadingHelper, TcxCustomCheckControlFadingHelper)

 public:
  // The mark drawn normal and hot; the caller owns both.
  void __stdcall FadingGetImages(TcxBitmap32*& AFadeOutImage, TcxBitmap32*& AFadeInImage) override;

 private:
  TcxBitmap32* RenderMark(TcxEditCheckState ACheckState);
};

using TcxCustomCheckControlFadingHelperClass = rtl::ClassOf<TcxCustomCheckControlFadingHelper>;

class TcxCustomCheckBoxViewInfo : public TcxCustomEditViewInfo {
  RTL_CLASS(TcxCustomCheckBoxViewInfo, TcxCustomEditViewInfo)

 public:
  void Create() override;
  void Destroy() override;
  // The check state and the state too.
  void Assign(rtl::TObject* Source) override;
  void Offset(int DX, int DY) override;
  void InternalPaint(TcxCanvas* ACanvas) override;
  // A changed mark (checked, hot, pressed) repaints only its rectangle
  // besides what the editor's frame needs.
  using TcxCustomEditViewInfo::Repaint;
  bool Repaint(vcl::TWinControl* AControl, const TRect& AInnerEditRect,
               TcxContainerViewInfo* AViewInfo = nullptr) override;
  TcxRegion* GetUpdateRegion(TcxContainerViewInfo* AViewInfo) override;
  bool IsBackgroundPartiallyTransparent() override;
  bool IsFadingAvailable() override;
  // The mark in ACheckState into R of ACanvas.
  void DrawMark(TcxCanvas* ACanvas, const TRect& R, TcxEditCheckState ACheckState);
  // CheckBoxRect in the control's coordinates.
  TRect CheckBoxRectInControl() const;
  // CheckBoxRect less the margin the frame keeps.
  TRect CheckArea() const;

  rtl::TAlignment Alignment = rtl::TAlignment::taLeftJustify;
  int CheckBorderOffset = 0;
  TcxEditBorderStyle CheckBoxBorderStyle = TcxEditBorderStyle::ebsNone;
  // Not owned.
  TdxSmartGlyph* CheckBoxGlyph = nullptr;
  int CheckBoxGlyphCount = 0;
  TcxEditCheckState CheckBoxLastState = TcxEditCheckState::ecsNormal;
  TRect CheckBoxRect{};
  TSize CheckBoxSize{};
  TcxEditCheckState CheckBoxState = TcxEditCheckState::ecsNormal;
  int DrawCaptionFlags = 0;
  TcxCustomCheckControlFadingHelper* FadingHelper = nullptr;
  TRect FocusRect{};
  bool HasGlyph = false;
  bool IsTextColorAssigned = false;
  TcxCheckBoxNullValueShowingStyle NullValueShowingStyle = TcxCheckBoxNullValueShowingStyle::nssGrayedChecked;
  TcxCheckBoxState State = TcxCheckBoxState::cbsUnchecked;
  rtl::String Text;
  TRect TextRect{};

 protected:
  virtual TcxCustomCheckControlFadingHelperClass GetFadingHelperClass();
  // The mark is centred: no caption beside it.
  bool IsMarkCentred() const { return Alignment == rtl::TAlignment::taCenter; }
  bool IsSkinned() const;
  // The mark's state or picture differs from AViewInfo's.
  bool IsMarkChanged(TcxContainerViewInfo* AViewInfo) const;

 private:
  void DrawCaption(TcxCanvas* ACanvas);
};

// Lays a check box out into its view info: short-lived, made for one
// calculation.
class TcxCustomCheckBoxViewData : public TcxCustomEditViewData {
  RTL_CLASS(TcxCustomCheckBoxViewData, TcxCustomEditViewData)

 public:
  void Calculate(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, TcxMouseButton Button,
                 vcl::TShiftState Shift, TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  void CalculateConstantPartSize(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, TSize& AConstantPart,
                                 TSize& MinContentSize) override;
  void EditValueToDrawValue(const rtl::Variant& AEditValue, TcxCustomEditViewInfo* AViewInfo) override;
  TSize GetEditContentSize(TcxCanvas* ACanvas, const rtl::Variant& AEditValue,
                           const TcxEditSizeProperties& AEditSizeProperties,
                           TcxEditValidateInfo* AErrorData = nullptr) override;

  TcxCustomCheckBoxProperties* Properties() const;

 protected:
  // cxtf* flags of the caption.
  virtual int GetDrawTextFlags(bool AVertCenter);
  virtual int GetCaptionOffset();
  virtual void CalculateCheckBoxRect(TcxCustomCheckBoxViewInfo* AViewInfo);
  virtual TcxEditCheckState CalculateCheckBoxState(TcxCustomCheckBoxViewInfo* AViewInfo, const TPoint& P,
                                                   TcxMouseButton AButton, vcl::TShiftState AShift);
  virtual void CalculateFocusRect(TcxCustomCheckBoxViewInfo* AViewInfo);
  virtual void CalculateTextRect(TcxCustomCheckBoxViewInfo* AViewInfo);
  virtual int GetContentOffset();

 private:
  TSize GetCheckBoxSize(TcxCustomCheckBoxViewInfo* AViewInfo);
  TcxCustomCheckBox* CheckBox() const;
  bool CaptionVisible() const;
};

// ---------------------------------------------------------------------------
// The check box control


// Follows the action's Checked while the check box still shows it.
class TcxCheckBoxActionLink : public vcl::TWinControlActionLink {
  RTL_CLASS(TcxCheckBoxActionLink, vcl::TWinControlActionLink)

 public:
  bool IsCheckedLinked() override;

 protected:
  void AssignClient(rtl::TObject* AClient) override;
  void SetChecked(bool AValue) override;

 private:
  TcxCustomCheckBox* FClient;
};

class TcxCustomCheckBox : public TcxCustomEdit {
  RTL_CLASS(TcxCustomCheckBox, TcxCustomEdit)
  RTL_MESSAGES(RTL_MESSAGE(rtl::CM_DIALOGCHAR, HandleCheckBoxDialogChar),
               RTL_MESSAGE(WM_LBUTTONUP, HandleWMLButtonUp), RTL_MESSAGE(WM_GETDLGCODE, HandleWMGetDlgCode))

 public:
  // Unchecked to grayed (when allowed) or checked, checked to unchecked,
  // grayed to checked; posted at once with ImmediatePost.
  virtual void Toggle();
  // EditValue := the unchecked value.
  void Clear() override;
  TcxCustomEditPropertiesClass GetPropertiesClass() override;
  void PrepareEditValue(const rtl::Variant& ADisplayValue, rtl::Variant& EditValue, bool AEditFocused) override;

  TcxCustomCheckBoxProperties* GetActiveProperties();
  TcxCustomCheckBoxProperties* GetProperties();
  void SetProperties(TcxCustomCheckBoxProperties* AValue);
  bool GetChecked();
  void SetChecked(bool AValue);
  // While the form loads, the state read is remembered and applied at the
  // end, when the values it refers to are all known.
  TcxCheckBoxState GetState();
  void SetState(TcxCheckBoxState AValue);
  // A Space press is down on the mark.
  bool GetIsCheckPressed() const { return FIsCheckPressed; }

 protected:
  void Initialize() override;
  void Loaded() override;
  void ApplyEditValue(const rtl::Variant& AValue, bool AIsUserAction) override;
  void PropertiesChanged(rtl::TObject* Sender) override;
  void KeyDown(WORD& AKey, vcl::TShiftState AShift) override;
  void KeyPress(wchar_t& AKey) override;
  void KeyUp(WORD& AKey, vcl::TShiftState AShift) override;
  void DoExit() override;
  TcxEditStateColorKind GetDrawState() override;
  bool DefaultParentColor() override { return true; }
  void ProcessViewInfoChanges() override;
  bool SupportsAutoWidth() override;
  bool UsesWordWrap() override;
  TcxEditSizeProperties GetEditSizeProperties() override;
  TcxCustomCheckBoxViewInfo* GetCheckBoxViewInfo();
  void ActionChange(rtl::TObject* ASender, bool ACheckDefaults) override;
  rtl::ClassOf<vcl::TControlActionLink> GetActionLinkClass() override;
  bool IsStateStored();

  void HandleCheckBoxDialogChar(rtl::TMessage& Message);
  void HandleWMLButtonUp(rtl::TMessage& Message);
  void HandleWMGetDlgCode(rtl::TMessage& Message);

 private:
  // Sets Checked with clicks and change events held and dropped.
  void SetCheckedQuietly(bool AValue);
  void CheckPressedChanged(bool APressed);
  // Repaints the mark without erasing.
  void InvalidateMark();

  bool FIsCheckPressed;
  bool FIsLoaded;
  bool FIsLoadingStateAssigned;
  TcxCheckBoxState FLoadingState;

  friend class TcxCheckBoxActionLink;
};

class TcxCheckBox : public TcxCustomCheckBox {
  RTL_CLASS(TcxCheckBox, TcxCustomCheckBox)
  RTL_PUBLISHED(
      RTL_PUBLISH(Action), RTL_PUBLISH(Anchors), RTL_PROPERTY(AutoSize, GetAutoSize, SetAutoSize, RTL_DEFAULT(true)),
      RTL_PUBLISH(BiDiMode), RTL_PUBLISH(Caption), RTL_PROPERTY(Checked, GetChecked, SetChecked, RTL_NOT_STORED),
      RTL_PUBLISH(Constraints), RTL_PUBLISH(DragCursor), RTL_PUBLISH(DragKind), RTL_PUBLISH(DragMode),
      RTL_PUBLISH(Enabled), RTL_PUBLISH(ParentBiDiMode), RTL_PUBLISH(ParentColor), RTL_PUBLISH(ParentFont),
      RTL_PUBLISH(ParentShowHint), RTL_PUBLISH(PopupMenu),
      RTL_PROPERTY(Properties, GetCheckBoxProperties, SetCheckBoxProperties), RTL_PUBLISH(ShowHint),
      RTL_PROPERTY(State, GetState, SetState, RTL_STORED(IsStateStored)), RTL_PROPERTY(Style, GetStyle, SetStyle),
      RTL_PROPERTY(StyleDisabled, GetStyleDisabled, SetStyleDisabled),
      RTL_PROPERTY(StyleFocused, GetStyleFocused, SetStyleFocused), RTL_PROPERTY(StyleHot, GetStyleHot, SetStyleHot),
      RTL_PUBLISH(TabOrder), RTL_PUBLISH(TabStop),
      RTL_PROPERTY(Transparent, GetTransparent, SetTransparent, RTL_DEFAULT(false)), RTL_PUBLISH(Visible),
      RTL_PUBLISH(OnClick), RTL_PUBLISH(OnContextPopup), RTL_PUBLISH(OnDragDrop), RTL_PUBLISH(OnDragOver),
      RTL_PROPERTY(OnEditing, GetOnEditing, SetOnEditing), RTL_PUBLISH(OnEndDock), RTL_PUBLISH(OnEndDrag),
      RTL_PUBLISH(OnEnter), RTL_PUBLISH(OnExit), RTL_PUBLISH(OnKeyDown), RTL_PUBLISH(OnKeyPress),
      RTL_PUBLISH(OnKeyUp), RTL_PUBLISH(OnMouseDown), RTL_PUBLISH(OnMouseEnter), RTL_PUBLISH(OnMouseLeave),
      RTL_PUBLISH(OnMouseMove), RTL_PUBLISH(OnMouseUp), RTL_PUBLISH(OnStartDock), RTL_PUBLISH(OnStartDrag))

 public:
  TcxCustomEditPropertiesClass GetPropertiesClass() override;
  TcxCheckBoxProperties* GetCheckBoxProperties() { return static_cast<TcxCheckBoxProperties*>(GetProperties()); }
  void SetCheckBoxProperties(TcxCheckBoxProperties* AValue) { SetProperties(AValue); }
};

// A check-box operand is picked from a fixed list of the two display texts:
// item 0 the checked value, item 1 the unchecked one, no item Null.
class TcxFilterCheckBoxHelper : public TcxFilterComboBoxHelper {
 public:
  constexpr TcxFilterCheckBoxHelper() = default;
  static TcxCustomFilterEditHelperClass Class() noexcept;
  const wchar_t* ClassName() const override { return L"TcxFilterCheckBoxHelper"; }

  TcxFilterDataType GetFilterDataType(TcxValueTypeClass) const override { return TcxFilterDataType::fdtCheck; }
  void GetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties* AEditProperties, rtl::Variant& V,
                      rtl::String& S) const override;
  TcxFilterControlOperators GetSupportedFilterOperators(TcxCustomEditProperties* AProperties,
                                                        TcxValueTypeClass AValueTypeClass,
                                                        bool AExtendedSet = false) const override;
  void InitializeProperties(TcxCustomEditProperties* AProperties, TcxCustomEditProperties* AEditProperties,
                            bool AHasButtons) const override;
  void SetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties* AEditProperties,
                      const rtl::Variant& AValue) const override;
  bool UseDisplayValue() const override { return true; }
};
