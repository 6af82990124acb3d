// The editor framework's base: the settings object every editor keeps apart
// from itself (TcxCustomEditProperties) with its companions (the alignment,
// the record of assigned values, the default-values provider through which
// a data source dictates settings, the validation record of a view info),
// the editor properties registry and the unit's small routines.
//
// A properties object announces its changes through OnPropertiesChanged,
// once per update batch; it never calls its editor directly.
#pragma once

#include <functional>
#include <vector>

#include "controls/cxContainer.h"
#include "controls/dxRightToLeftLayout.h"
#include "core/cxClasses.h"
#include "platform/rtl/TypInfo.h"
#include "platform/vcl/ControlsMessages.h"
#include "platform/vcl/Graphics.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/ClassesComponents.h"
#include "platform/rtl/SystemEvents.h"
#include "platform/rtl/SystemTypes.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/rtl/Variants.h"

class TcxCanvas;
class TcxRegion;
class TdxOwnedScaleFactor;
class TdxSmartGlyph;
class TdxSmartImage;

namespace vcl {
class TBitmap;
class TChangeLink;
class TCustomImageList;
class TWinControl;
}

RTL_DECLARE_UNIT(cxEdit);

// ---------------------------------------------------------------------------
// Enumerations

RTL_ENUM(TcxEditButtonsViewStyle, bvsNormal, bvsButtonsOnly, bvsButtonsAutoWidth);
RTL_ENUM(TcxEditValidationOption, evoRaiseException, evoShowErrorIcon, evoAllowLoseFocus);
using TcxEditValidationOptions = rtl::TSet<TcxEditValidationOption>;
RTL_ENUM(TcxEditSupportedOperation, esoAlwaysHotTrack, esoAutoHeight, esoEditing, esoFiltering, esoHorzAlignment,
         esoHotTrack, esoIncSearch, esoShowingCaption, esoSorting, esoSortingByDisplayText, esoTransparency,
         esoEditingAutoHeight, esoNeedHandle, esoAutoWidth);
using TcxEditSupportedOperations = rtl::TSet<TcxEditSupportedOperation>;
RTL_ENUM(TcxEditSpecialFeature, esfBlobEditValue, esfMinSize, esfNoContentPart, esfClickable, esfMultiRow);
using TcxEditSpecialFeatures = rtl::TSet<TcxEditSpecialFeature>;
RTL_ENUM(TcxEditErrorType, eetNone, eetError, eetWarning, eetInfo, eetCustom);
RTL_ENUM(TcxEditVertAlignment, taTopJustify, taBottomJustify, taVCenter);
RTL_ENUM(TcxBlobKind, bkNone, bkBlob, bkGraphic, bkMemo, bkOle);
RTL_ENUM(TcxDataEditValueSource, evsValue, evsText, evsKey);

RTL_ENUM(TcxEditButtonStyle, btsDefault, bts3D, btsFlat, btsSimple, btsHotFlat, btsUltraFlat, btsOffice11);
RTL_ENUM(TcxEditButtonTransparency, ebtNone, ebtInactive, ebtAlways, ebtHideInactive, ebtHideUnselected);
// dirLeft..dirDown of TcxDirection.
using TcxEditGradientDirection = TcxDirection;
// The container's border styles under the editors' names, in the same order.
RTL_ENUM(TcxEditBorderStyle, ebsNone, ebsSingle, ebsThick, ebsFlat, ebs3D, ebsUltraFlat, ebsOffice11);

// The Screen.Cursors index of the editors' mouse-wheel cursor.
inline constexpr int cxEditMouseWheelCursor = 4101;

// Flags of TcxCustomEditProperties::DisplayFormatOptions.
enum : unsigned {
  // The provider's display format applies.
  dfoSupports = 1,
  // Currency values are not accepted.
  dfoNoCurrencyValue = 2,
};

using TShortCut = unsigned short;
using TLeftRight = rtl::TAlignment;

class TcxCustomEditProperties;
class TcxCustomEditPropertiesValues;

using TcxCustomEditPropertiesClass = rtl::ClassOf<TcxCustomEditProperties>;
using TcxCustomEditPropertiesValuesClass = rtl::ClassOf<TcxCustomEditPropertiesValues>;

// ---------------------------------------------------------------------------
// The default-values provider: what a data source dictates.

struct IcxEditDefaultValuesProvider : rtl::IInterface {
  RTL_GUID(IcxEditDefaultValuesProvider, "{AE727882-6FDF-4E3A-AB35-E58AB28EFE7B}")
  virtual bool __stdcall CanSetEditMode() = 0;
  virtual rtl::TAlignment __stdcall DefaultAlignment() = 0;
  virtual TcxBlobKind __stdcall DefaultBlobKind() = 0;
  virtual bool __stdcall DefaultCanModify() = 0;
  virtual rtl::String __stdcall DefaultDisplayFormat() = 0;
  virtual rtl::String __stdcall DefaultEditFormat() = 0;
  virtual rtl::String __stdcall DefaultEditMask() = 0;
  virtual bool __stdcall DefaultIsFloatValue() = 0;
  virtual int __stdcall DefaultMaxLength() = 0;
  virtual double __stdcall DefaultMaxValue() = 0;
  virtual double __stdcall DefaultMinValue() = 0;
  virtual int __stdcall DefaultPrecision() = 0;
  virtual bool __stdcall DefaultReadOnly() = 0;
  virtual bool __stdcall DefaultRequired() = 0;
  virtual rtl::TObject* __stdcall GetInstance() = 0;
  virtual bool __stdcall IsBlob() = 0;
  virtual bool __stdcall IsCurrency() = 0;
  virtual bool __stdcall IsDataAvailable() = 0;
  virtual bool __stdcall IsDataStorage() = 0;
  virtual bool __stdcall IsDisplayFormatDefined(bool AIsCurrencyValueAccepted) = 0;
  virtual bool __stdcall IsOnGetTextAssigned() = 0;
  virtual bool __stdcall IsOnSetTextAssigned() = 0;
  virtual bool __stdcall IsValidChar(wchar_t AChar) = 0;
};

// The answers of a source that dictates nothing. Destroying a provider makes
// every properties object that holds it let it go.
class TcxCustomEditDefaultValuesProvider : public TcxInterfacedPersistent, public IcxEditDefaultValuesProvider {
  RTL_CLASS(TcxCustomEditDefaultValuesProvider, TcxInterfacedPersistent)
  RTL_INTERFACES(IcxEditDefaultValuesProvider)

 public:
  void BeforeDestruction() override;

  bool __stdcall CanSetEditMode() override { return true; }
  rtl::TAlignment __stdcall DefaultAlignment() override { return rtl::TAlignment::taLeftJustify; }
  TcxBlobKind __stdcall DefaultBlobKind() override { return TcxBlobKind::bkMemo; }
  bool __stdcall DefaultCanModify() override { return true; }
  rtl::String __stdcall DefaultDisplayFormat() override { return {}; }
  rtl::String __stdcall DefaultEditFormat() override { return {}; }
  rtl::String __stdcall DefaultEditMask() override { return {}; }
  bool __stdcall DefaultIsFloatValue() override { return false; }
  int __stdcall DefaultMaxLength() override { return 0; }
  double __stdcall DefaultMaxValue() override { return 0.0; }
  double __stdcall DefaultMinValue() override { return 0.0; }
  int __stdcall DefaultPrecision() override { return 15; }
  bool __stdcall DefaultReadOnly() override { return false; }
  bool __stdcall DefaultRequired() override { return false; }
  rtl::TObject* __stdcall GetInstance() override { return this; }
  bool __stdcall IsBlob() override { return false; }
  bool __stdcall IsCurrency() override { return false; }
  bool __stdcall IsDataAvailable() override { return true; }
  bool __stdcall IsDataStorage() override { return false; }
  bool __stdcall IsDisplayFormatDefined(bool /*AIsCurrencyValueAccepted*/) override { return false; }
  bool __stdcall IsOnGetTextAssigned() override { return false; }
  bool __stdcall IsOnSetTextAssigned() override { return false; }
  bool __stdcall IsValidChar(wchar_t /*AChar*/) override { return true; }
};

using TcxCustomEditDefaultValuesProviderClass = rtl::ClassOf<TcxCustomEditDefaultValuesProvider>;

// ---------------------------------------------------------------------------
// The buttons an editor carries in its frame: here only what the properties
// need of them (a collection that tells of its changes and scales its
// widths).

class TcxCustomEditButton : public rtl::TCollectionItem {
  RTL_CLASS(TcxCustomEditButton, rtl::TCollectionItem)

 public:
  void Assign(rtl::TPersistent* ASource) override;

  // 0 is the automatic width.
  int GetWidth() const { return FWidth; }
  void SetWidth(int AValue);
  virtual void ScaleWidth(int M, int D);

 private:
  int FWidth;
};

class TcxEditButton : public TcxCustomEditButton {
  RTL_CLASS(TcxEditButton, TcxCustomEditButton)
};

using TcxCustomEditButtonClass = rtl::ClassOf<TcxCustomEditButton>;

class TcxCustomEditButtons : public rtl::TCollection {
  RTL_CLASS(TcxCustomEditButtons, rtl::TCollection)

 public:
  virtual void Create(rtl::TPersistent* AOwner, TcxCustomEditButtonClass AButtonClass);
  rtl::TPersistent* GetOwner() override { return FOwner; }

  // Every button's width times M / D, in one update.
  virtual void ScaleButtonWidths(int M, int D);
  int GetVisibleCount() const { return GetCount(); }

  rtl::TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(rtl::TNotifyEvent AValue) { FOnChange = AValue; }

 protected:
  void Update(rtl::TCollectionItem* AItem) override;

 private:
  rtl::TPersistent* FOwner;
  rtl::TNotifyEvent FOnChange;
};

class TcxEditButtons : public TcxCustomEditButtons {
  RTL_CLASS(TcxEditButtons, TcxCustomEditButtons)
};

using TcxEditButtonsClass = rtl::ClassOf<TcxCustomEditButtons>;

// ---------------------------------------------------------------------------
// TcxEditAlignment

class TcxEditAlignment : public rtl::TPersistent {
  RTL_CLASS(TcxEditAlignment, rtl::TPersistent)
  RTL_PUBLISHED(RTL_PROPERTY(Horz, GetHorz, SetHorz, RTL_STORED(IsHorzStored)),
                RTL_PROPERTY(Vert, GetVert, SetVert, RTL_STORED(IsVertStored)))

 public:
  // The shorter forms default to TcxEditVertAlignment::taTopJustify and taLeftJustify.
  virtual void Create(rtl::TPersistent* AOwner);
  virtual void Create(rtl::TPersistent* AOwner, TcxEditVertAlignment ADefaultVertAlignment);
  virtual void Create(rtl::TPersistent* AOwner, TcxEditVertAlignment ADefaultVertAlignment,
                      rtl::TAlignment ADefaultHorzAlignment);

  // From another alignment: Vert, Horz and whether Horz is assigned, then
  // OnChanged.
  void Assign(rtl::TPersistent* ASource) override;
  rtl::TPersistent* GetOwner() override { return FOwner; }
  // Horz no longer counts as assigned; its value stays.
  void Reset();

  rtl::TAlignment GetHorz() const { return FHorz; }
  void SetHorz(rtl::TAlignment AValue);
  TcxEditVertAlignment GetVert() const { return FVert; }
  void SetVert(TcxEditVertAlignment AValue);
  bool IsHorzAssigned() const { return FIsHorzAssigned; }
  // Puts a default in place of a horizontal value nobody assigned, without
  // assigning it or telling anyone.
  void ShowDefaultHorz(rtl::TAlignment AValue) { FHorz = AValue; }
  bool IsHorzStored() const;
  bool IsVertStored() const;

  rtl::TNotifyEvent GetOnChanged() const { return FOnChanged; }
  void SetOnChanged(rtl::TNotifyEvent AValue) { FOnChanged = AValue; }

 private:
  void DoChanged();

  TcxEditVertAlignment FDefaultVertAlignment;
  rtl::TAlignment FHorz;
  rtl::TAlignment FDefaultHorzAlignment;
  bool FIsHorzAssigned;
  rtl::TPersistent* FOwner;
  TcxEditVertAlignment FVert;
  rtl::TNotifyEvent FOnChanged;
};

// ---------------------------------------------------------------------------
// Which of the values a data source may dictate the properties hold
// themselves.

class TcxCustomEditPropertiesValues : public rtl::TPersistent {
  RTL_CLASS(TcxCustomEditPropertiesValues, rtl::TPersistent)
  RTL_PUBLISHED(RTL_PROPERTY(ReadOnly, GetReadOnly, SetReadOnly, RTL_NOT_STORED))

 public:
  virtual void Create(rtl::TPersistent* AOwner);
  // The three flags, through their setters, in one update of the owner.
  void Assign(rtl::TPersistent* ASource) override;
  rtl::TPersistent* GetOwner() override { return FOwner; }
  // Clears the three flags in one update of the owner.
  virtual void RestoreDefaults();

  bool GetMaxValue() const { return FMaxValue; }
  void SetMaxValue(bool AValue);
  bool GetMinValue() const { return FMinValue; }
  void SetMinValue(bool AValue);
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool AValue);

 protected:
  TcxCustomEditProperties* Properties() const;
  // Stores AValue and tells the owner, only when it differs.
  void SetFlag(bool& AFlag, bool AValue);

 private:
  rtl::TPersistent* FOwner;
  bool FMaxValue;
  bool FMinValue;
  bool FReadOnly;
};

// ---------------------------------------------------------------------------
// The validation record of a view info.

class TcxEditValidateInfo : public rtl::TObject {
  RTL_CLASS(TcxEditValidateInfo, rtl::TObject)

 public:
  void Create();
  void Destroy() override;

  // TcxEditErrorType::eetNone, no text, an empty icon.
  void Reset();
  bool IsError() const { return FErrorType != TcxEditErrorType::eetNone; }

  TdxSmartGlyph* GetErrorIcon() const { return FErrorIcon; }
  void SetErrorIcon(TdxSmartGlyph* AValue);
  const rtl::String& GetErrorText() const { return FErrorText; }
  void SetErrorText(const rtl::String& AValue) { FErrorText = AValue; }
  TcxEditErrorType GetErrorType() const { return FErrorType; }
  // A new type loads its icon: the editors' shared glyph of an error, a
  // warning or an information; TcxEditErrorType::eetNone and TcxEditErrorType::eetCustom keep the icon.
  void SetErrorType(TcxEditErrorType AValue);

 private:
  TdxSmartGlyph* FErrorIcon;
  rtl::String FErrorText;
  TcxEditErrorType FErrorType;
};

// ---------------------------------------------------------------------------
// TcxCustomEditProperties

// The settings of an editor, of a repository item shared by many editors, or
// of a short-lived in-place editor. Values a data source may dictate
// (ReadOnly, MinValue, MaxValue, the horizontal alignment) resolve the own
// assigned value first, then the default-values provider, then a fixed
// default.
class TcxCustomEditProperties : public TcxInterfacedPersistent {
  RTL_CLASS(TcxCustomEditProperties, TcxInterfacedPersistent)

 public:
  void Create(rtl::TPersistent* AOwner) override;
  void AfterConstruction() override;
  void Destroy() override;

  // From another properties object inside one update (AssignFrom); other
  // sources as the platform assigns them.
  void Assign(rtl::TPersistent* ASource) override;

  // Update batching: changes inside the outermost bracket are announced once
  // at its end, and only when AInvokeChanged.
  void BeginUpdate();
  void EndUpdate(bool AInvokeChanged = true);
  // Announces a change now, or records it while locked or while the owning
  // component is being destroyed.
  void Changed();
  bool ChangedLocked() const;
  // While set, changes are only recorded.
  void LockUpdate(bool ALock);
  // DoUpdate for properties of this class or a descendant, other than these.
  void Update(TcxCustomEditProperties* AProperties);

  // Virtual operations, in the order descendants meet them.
  virtual void ScaleButtons(int M, int D);
  virtual bool HasDisplayValueValidation() { return false; }
  virtual bool DefaultUseLeftAlignmentOnEditing() { return true; }
  virtual void ReleaseDefaultValuesProvider();
  virtual void AssignFrom(TcxCustomEditProperties* ASource);
  virtual void DoChanged();
  virtual TcxCustomEditPropertiesValuesClass AssignedValuesClass();
  virtual rtl::TAlignment DefaultHorzAlignment();
  virtual TcxEditVertAlignment DefaultVertAlignment() { return TcxEditVertAlignment::taTopJustify; }
  virtual unsigned DisplayFormatOptions() { return 0; }
  virtual double GetMaxValue();
  virtual double GetMinValue();
  virtual rtl::String ValidationErrorTextFor(int AErrorKind);
  virtual bool UsesProviderDisplayFormat(bool AEditFocused);
  virtual bool InnerEditReportsChanges() { return false; }
  virtual bool KeepsTabKey() { return false; }
  virtual bool DependsOnFocus() { return true; }
  virtual bool IsShareable() { return AllowRepositorySharing(); }
  virtual bool CanCompareEditValue() { return false; }
  // A new object of this class with AOwner, assigned from this one.
  virtual TcxCustomEditProperties* Clone(rtl::TPersistent* AOwner);
  virtual TcxEditButtonsClass GetButtonsClass();
  virtual void DoUpdate(TcxCustomEditProperties* /*AProperties*/) {}
  virtual bool AllowRepositorySharing() { return true; }
  virtual void RefreshNonShareable() {}
  // Both values through PrepareDisplayValue, then compared as variants.
  virtual bool CompareDisplayValues(const rtl::Variant& AEditValue1, const rtl::Variant& AEditValue2);
  // A new object of this class without owner.
  virtual TcxCustomEditProperties* CreatePreviewProperties();
  virtual void DataChanged() {}
  virtual rtl::String GetDisplayText(const rtl::Variant& AEditValue, bool AFullText = false, bool AIsInplace = true);
  virtual TcxEditSpecialFeatures GetSpecialFeatures() { return {}; }
  virtual TcxEditSupportedOperations GetSupportedOperations();
  virtual bool IsActivationKey(wchar_t /*AKey*/) { return false; }
  virtual bool IsEditValueValid(rtl::Variant& /*EditValue*/, bool /*AEditFocused*/) { return true; }
  virtual bool IsResetEditClass() { return false; }
  virtual bool IsValueFormattedByProperties() { return false; }
  virtual bool IsValueFormattedByProvider();
  virtual void PrepareDisplayValue(const rtl::Variant& AEditValue, rtl::Variant& DisplayValue, bool AEditFocused);
  // Forgets the alignment and the assigned values.
  virtual void RestoreDefaults();
  virtual TcxDataEditValueSource GetEditValueSource(bool /*AEditFocused*/) { return TcxDataEditValueSource::evsValue; }

  // ReadOnly, MinValue and MaxValue with the provider's say: editing is
  // allowed when ReadOnly is assigned False, or resolves False and the
  // provider lets the data be modified and put into edit mode.
  bool IsEditingAllowed();
  // The owner is a component in design state.
  bool IsOwnerDesigning();

  // The alignment handed out: the stored one with the default horizontal
  // value while it is not assigned. Changing the object changes the
  // properties.
  TcxEditAlignment* GetAlignment();
  void SetAlignment(TcxEditAlignment* AValue);
  TcxCustomEditPropertiesValues* GetAssignedValues() const { return FAssignedValues; }
  void SetAssignedValues(TcxCustomEditPropertiesValues* AValue);
  bool GetAutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool AValue);
  TcxCustomEditButtons* GetButtons() const { return FButtons; }
  void SetButtons(TcxCustomEditButtons* AValue);
  bool GetBeepOnError() const { return FBeepOnError; }
  void SetBeepOnError(bool AValue) { FBeepOnError = AValue; }
  TcxEditButtonsViewStyle GetButtonsViewStyle() const { return FButtonsViewStyle; }
  void SetButtonsViewStyle(TcxEditButtonsViewStyle AValue);
  TShortCut GetClearKey() const { return FClearKey; }
  void SetClearKey(TShortCut AValue) { FClearKey = AValue; }
  TShortCut GetClickKey() const { return FClickKey; }
  void SetClickKey(TShortCut AValue) { FClickKey = AValue; }
  TdxSmartImage* GetErrorIcon() const { return FErrorIcon; }
  void SetErrorIcon(TdxSmartImage* AValue);
  IcxEditDefaultValuesProvider* GetIDefaultValuesProvider() const { return FIDefaultValuesProvider.Get(); }
  void SetIDefaultValuesProvider(IcxEditDefaultValuesProvider* AValue);
  vcl::TCustomImageList* GetImages() const { return FImages; }
  void SetImages(vcl::TCustomImageList* AValue);
  bool GetImmediatePost() const { return FImmediatePost; }
  void SetImmediatePost(bool AValue) { FImmediatePost = AValue; }
  bool IsChanging() const { return FIsChangingCount > 0; }
  void SetMaxValue(double AValue);
  void SetMinValue(double AValue);
  // Both bounds assigned with one change.
  void SetMinMaxValues(double AMinValue, double AMaxValue);
  bool GetReadOnly();
  void SetReadOnly(bool AValue);
  TdxOwnedScaleFactor* GetScaleFactor() const { return FScaleFactor; }
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool AValue);
  bool GetUseLeftAlignmentOnEditing() const { return FUseLeftAlignmentOnEditing; }
  void SetUseLeftAlignmentOnEditing(bool AValue);
  bool GetUseMouseWheel() const { return FUseMouseWheel; }
  void SetUseMouseWheel(bool AValue) { FUseMouseWheel = AValue; }
  bool GetValidateOnEnter() const { return FValidateOnEnter; }
  void SetValidateOnEnter(bool AValue) { FValidateOnEnter = AValue; }
  TLeftRight GetValidationErrorIconAlignment() const { return FValidationErrorIconAlignment; }
  void SetValidationErrorIconAlignment(TLeftRight AValue);
  TcxEditValidationOptions GetValidationOptions() const { return FValidationOptions; }
  void SetValidationOptions(TcxEditValidationOptions AValue);
  // The options a running validation works with; its handlers may change
  // them.
  TcxEditValidationOptions GetInternalValidationOptions() const { return FInternalValidationOptions; }
  void SetInternalValidationOptions(TcxEditValidationOptions AValue) { FInternalValidationOptions = AValue; }

  rtl::TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(rtl::TNotifyEvent AValue) { FOnChange = AValue; }
  rtl::TNotifyEvent GetOnEditValueChanged() const { return FOnEditValueChanged; }
  void SetOnEditValueChanged(rtl::TNotifyEvent AValue) { FOnEditValueChanged = AValue; }
  rtl::TNotifyEvent GetOnPropertiesChanged() const { return FOnPropertiesChanged; }
  void SetOnPropertiesChanged(rtl::TNotifyEvent AValue) { FOnPropertiesChanged = AValue; }

 protected:
  // The public alignment's change handler: copies it into the stored one.
  virtual void AlignmentChanged(rtl::TObject* Sender);
  virtual void ButtonsChanged(rtl::TObject* Sender);
  virtual void ImagesFreeNotification(rtl::TComponent* AComponent);

 private:
  void AssignValue(const std::function<void()>& ASetFlags);
  void ImageListChanged(rtl::TObject* Sender);
  void ScaleFactorChanged(rtl::TObject* Sender, int M, int D, bool AIsLoading);
  bool IsOwnerBeingDestroyed();
  bool IsAlignmentBeingWritten();

  bool FAutoSelect;
  bool FBeepOnError;
  TcxCustomEditButtons* FButtons;
  TcxEditButtonsViewStyle FButtonsViewStyle;
  bool FChangedOccurred;
  TShortCut FClearKey;
  TShortCut FClickKey;
  TcxFreeNotificator* FFreeNotificator;
  vcl::TChangeLink* FImageChangeLink;
  vcl::TCustomImageList* FImages;
  bool FImmediatePost;
  TcxEditAlignment* FInnerAlignment;
  int FIsChangingCount;
  double FMaxValue;
  double FMinValue;
  bool FReadOnly;
  TdxOwnedScaleFactor* FScaleFactor;
  bool FTransparent;
  int FUpdateCount;
  bool FUseLeftAlignmentOnEditing;
  bool FUseMouseWheel;
  TdxSmartImage* FErrorIcon;
  bool FValidateOnEnter;
  TLeftRight FValidationErrorIconAlignment;
  TcxEditValidationOptions FValidationOptions;
  TcxEditValidationOptions FInternalValidationOptions;
  rtl::TNotifyEvent FOnChange;
  rtl::TNotifyEvent FOnEditValueChanged;
  rtl::TNotifyEvent FOnPropertiesChanged;
  TcxEditAlignment* FAlignment;
  TcxCustomEditPropertiesValues* FAssignedValues;
  bool FChangedLocked;
  rtl::IPtr<IcxEditDefaultValuesProvider> FIDefaultValuesProvider;
};

// ---------------------------------------------------------------------------
// Editor styles: the container style with six values of the editors, each
// the style's own, its controller's style of the same state, or a default;
// a state style's default is its normal style's value.

inline constexpr TcxContainerStyleValue svButtonStyle = 10;
inline constexpr TcxContainerStyleValue svButtonTransparency = 11;
inline constexpr TcxContainerStyleValue svPopupBorderStyle = 12;
inline constexpr TcxContainerStyleValue svGradientButtons = 13;
inline constexpr TcxContainerStyleValue svGradient = 14;
inline constexpr TcxContainerStyleValue svGradientDirection = 15;

class TcxEditStyleController;

class TcxCustomEditStyle : public TcxContainerStyle {
  RTL_CLASS(TcxCustomEditStyle, TcxContainerStyle)

 public:
  using TcxContainerStyle::Create;
  void Create(rtl::TPersistent* AOwner, bool ADirectAccessMode, TcxContainerStyle* AParentStyle,
              TcxContainerStateItem AState) override;
  // From another editor style: its editor values as they are, then the
  // container's values, in one update.
  void Assign(rtl::TPersistent* Source) override;
  // Colour, font and text colour from view parameters, in one update.
  void Init(const TcxViewParams& AParams);

  int GetStyleValueCount() override;
  bool GetStyleValueName(TcxContainerStyleValue AStyleValue, rtl::String& StyleValueName) override;
  bool IsValueAssigned(TcxContainerStyleValue AValue) override;

  TcxEditButtonStyle GetButtonStyle();
  // Kept by each state style.
  void SetButtonStyle(TcxEditButtonStyle AValue);
  TcxEditButtonTransparency GetButtonTransparency();
  // These five are kept by the normal style: a state style passes them on.
  void SetButtonTransparency(TcxEditButtonTransparency AValue);
  bool GetGradient();
  void SetGradient(bool AValue);
  bool GetGradientButtons();
  void SetGradientButtons(bool AValue);
  TcxEditGradientDirection GetGradientDirection();
  void SetGradientDirection(TcxEditGradientDirection AValue);
  TcxEditPopupBorderStyle GetPopupBorderStyle();
  void SetPopupBorderStyle(TcxEditPopupBorderStyle AValue);
  bool GetPopupCloseButton() const { return FPopupCloseButton; }

  TcxEditStyleController* GetEditStyleController();
  TcxCustomEditStyle* GetEditBaseStyle();

 protected:
  virtual TcxEditButtonStyle DefaultButtonStyle();
  virtual TcxEditButtonTransparency DefaultButtonTransparency();
  virtual bool DefaultGradient();
  virtual bool DefaultGradientButtons();
  virtual TcxEditGradientDirection DefaultGradientDirection();
  virtual TcxEditPopupBorderStyle DefaultPopupBorderStyle();
  TcxStyleController* GetDefaultStyleController() override;
  TcxContainerStyleValues GetExtendedStyleHiddenValues() override;

  bool IsButtonStyleStored() { return GetAssignedValues().Contains(svButtonStyle); }
  bool IsButtonTransparencyStored() { return GetAssignedValues().Contains(svButtonTransparency); }
  bool IsGradientStored() { return GetAssignedValues().Contains(svGradient); }
  bool IsGradientDirectionStored() { return GetAssignedValues().Contains(svGradientDirection); }
  bool IsPopupBorderStyleStored() { return GetAssignedValues().Contains(svPopupBorderStyle); }

 private:
  // The editor style holding AValue: this one, or its controller's style of
  // the same state; nil when neither does.
  TcxCustomEditStyle* FindValueHolder(TcxContainerStyleValue AValue);
  // Stores an own value: nothing when it is assigned and equal.
  template <typename T>
  void SetOwnValue(T TcxCustomEditStyle::*AField, T AValue, TcxContainerStyleValue AStyleValue);
  // The value from the holder, else the default.
  template <typename T>
  T ResolveValue(T TcxCustomEditStyle::*AField, TcxContainerStyleValue AStyleValue, T (TcxCustomEditStyle::*ADefault)());

  TcxEditButtonStyle FButtonStyle;
  TcxEditButtonTransparency FButtonTransparency;
  bool FGradient;
  bool FGradientButtons;
  TcxEditGradientDirection FGradientDirection;
  TcxEditPopupBorderStyle FPopupBorderStyle;
  bool FPopupCloseButton;
};

class TcxEditStyle : public TcxCustomEditStyle {
  RTL_CLASS(TcxEditStyle, TcxCustomEditStyle)
  RTL_PUBLISHED(RTL_PROPERTY(ButtonStyle, GetButtonStyle, SetButtonStyle, RTL_STORED(IsButtonStyleStored)),
                RTL_PROPERTY(ButtonTransparency, GetButtonTransparency, SetButtonTransparency,
                             RTL_STORED(IsButtonTransparencyStored)),
                RTL_PROPERTY(Gradient, GetGradient, SetGradient, RTL_STORED(IsGradientStored)),
                RTL_PROPERTY(GradientDirection, GetGradientDirection, SetGradientDirection,
                             RTL_STORED(IsGradientDirectionStored)),
                RTL_PROPERTY(PopupBorderStyle, GetPopupBorderStyle, SetPopupBorderStyle,
                             RTL_STORED(IsPopupBorderStyleStored)))
};

using TcxCustomEditStyleClass = rtl::ClassOf<TcxCustomEditStyle>;

// Four editor styles that many editors share.
class TcxEditStyleController : public TcxStyleController {
  RTL_CLASS(TcxEditStyleController, TcxStyleController)

 public:
  TcxEditStyle* GetStyle() const { return GetEditStyle(TcxContainerStateItem::csNormal); }
  void SetStyle(TcxEditStyle* AValue) { SetInternalStyle(TcxContainerStateItem::csNormal, AValue); }
  TcxEditStyle* GetStyleDisabled() const { return GetEditStyle(TcxContainerStateItem::csDisabled); }
  void SetStyleDisabled(TcxEditStyle* AValue) { SetInternalStyle(TcxContainerStateItem::csDisabled, AValue); }
  TcxEditStyle* GetStyleFocused() const { return GetEditStyle(TcxContainerStateItem::csActive); }
  void SetStyleFocused(TcxEditStyle* AValue) { SetInternalStyle(TcxContainerStateItem::csActive, AValue); }
  TcxEditStyle* GetStyleHot() const { return GetEditStyle(TcxContainerStateItem::csHotTrack); }
  void SetStyleHot(TcxEditStyle* AValue) { SetInternalStyle(TcxContainerStateItem::csHotTrack, AValue); }

  RTL_PUBLISHED(RTL_PROPERTY(Style, GetStyle, SetStyle), RTL_PROPERTY(StyleDisabled, GetStyleDisabled, SetStyleDisabled),
                RTL_PROPERTY(StyleFocused, GetStyleFocused, SetStyleFocused),
                RTL_PROPERTY(StyleHot, GetStyleHot, SetStyleHot),
                RTL_PROPERTY(OnStyleChanged, GetOnStyleChanged, SetOnStyleChanged))

 protected:
  TcxContainerStyleClass GetStyleClass() override;

 private:
  TcxEditStyle* GetEditStyle(TcxContainerStateItem AState) const
  {
    return static_cast<TcxEditStyle*>(GetInternalStyle(AState));
  }
};

// The controller that editors without their own follow; made by the
// editors' start-up, nil outside it.
TcxEditStyleController* cxDefaultEditStyleController();

// ---------------------------------------------------------------------------
// What an editor using a repository item hears of it.

class TcxEditRepositoryItem;

struct IcxEditRepositoryItemListener : rtl::IInterface {
  RTL_GUID(IcxEditRepositoryItemListener, "{4E27D642-022B-4CE0-B2A7-0A4A2F9C4B52}")
  // The item is being freed: forget it.
  virtual void __stdcall ItemRemoved(TcxEditRepositoryItem* Sender) = 0;
  // The item's properties changed.
  virtual void __stdcall PropertiesChanged(TcxEditRepositoryItem* Sender) = 0;
};

// ---------------------------------------------------------------------------
// Unit routines

// Every living properties object, in order of creation.
const std::vector<TcxCustomEditProperties*>& cxEditPropertiesList();
// The editor properties registry: each editor's properties class with
// "Name|Description", sorted by the names.
TcxRegisteredClasses* cxEditPropertiesRegistry();
// Every in-place edit list lets go of the editor bound to AProperties.
void cxEditDisconnectProperties(TcxCustomEditProperties* AProperties);
// The validation glyph of an error, a warning or an information, loaded at
// the editors' start-up; nil for the other kinds and outside start-up.
vcl::TBitmap* cxEditValidationGlyph(TcxEditErrorType AErrorType);
// APersistent is an editor; an in-place one.
bool cxEditIsEditor(rtl::TPersistent* APersistent);
bool cxEditIsInplaceEditor(rtl::TPersistent* APersistent);

// Follows GetOwner from APersistent to the first component; nil when none.
rtl::TComponent* cxEditFindOwnerComponent(rtl::TPersistent* APersistent);
// Both numeric, of the same type, or both strings.
bool cxVarIsComparableTypes(const rtl::Variant& V1, const rtl::Variant& V2);
// Comparable types with the same value: 1 equals 1.0, "1" does not equal 1.
bool cxEditVarEquals(const rtl::Variant& V1, const rtl::Variant& V2);
bool cxVarSameTypeAndValue(const rtl::Variant& V1, const rtl::Variant& V2);
// #0, tab, line feed, form feed, carriage return and the space.
bool cxEditIsBlankChar(wchar_t C);

vcl::TShiftState cxButtonToShift(vcl::TMouseButton AButton);
// SendMessage to the control's window: wParam the MK_ flags of AShift,
// lParam the point.
LRESULT cxSendMouseMessage(vcl::TWinControl* AControl, UINT AMsg, vcl::TShiftState AShift, const TPoint& P);
// SendMessage with wParam AKey and lParam 0; AShift is not sent.
LRESULT cxSendKeyMessage(vcl::TWinControl* AControl, UINT AMsg, WORD AKey, vcl::TShiftState AShift);
LRESULT cxSendKeyDownMessage(vcl::TWinControl* AControl, WORD AKey, vcl::TShiftState AShift);
LRESULT cxSendCharMessage(vcl::TWinControl* AControl, wchar_t AChar);
// ADest := ADest or ASource.
void cxCombineRegionsOr(TcxRegion* ADest, TcxRegion* ASource);
// A one-pixel frame on the four sides of R, which then shrinks by 1 on
// each side; the complex one has its left and top in the first colour.
void cxEditDrawFrame(TcxCanvas* ACanvas, TRect& R, vcl::TColor AColor);
void cxEditDrawComplexFrame(TcxCanvas* ACanvas, TRect& R, vcl::TColor ALeftTopColor, vcl::TColor ARightBottomColor);
