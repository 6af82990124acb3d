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
#include "core/cxClassesComponents.h"
#include "editors/dxSpellCheckerCore.h"
#include "graphics/dxFading.h"
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
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/Controls.h"

class TcxBitmap32;
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

RTL_ENUM(TcxEditCloseUpReason, crUnknown, crTab, crClose, crCancel, crEnter);
RTL_ENUM(TcxEditContentOption, ecoShowFocusRectWhenInplace, ecoOffsetButtonContent);
using TcxEditContentOptions = rtl::TSet<TcxEditContentOption>;

class TcxCustomEdit;
class TcxCustomEditStyle;
class TcxCustomEditViewData;
class TcxCustomEditViewInfo;
using TcxCustomEditClass = rtl::ClassOf<TcxCustomEdit>;
using TcxCustomEditStyleClass = rtl::ClassOf<TcxCustomEditStyle>;
using TcxCustomEditViewDataClass = rtl::ClassOf<TcxCustomEditViewData>;
using TcxCustomEditViewInfoClass = rtl::ClassOf<TcxCustomEditViewInfo>;

// The limits of a size query: 0 means no limit; MaxLineCount 0 means as
// many lines as the content has.
struct TcxEditSizeProperties {
  int Height;
  int MaxLineCount;
  int Width;
};

// How an editor's content sits inside its frame.
struct TcxEditContentParams {
  TRect ExternalBorderBounds;
  TRect Offsets;
  TcxEditContentOptions Options;
  TSize SizeCorrection;
};

// The cell an in-place editor edits, as its host names it.
struct TcxEditPosition {
  rtl::TObject* Item;
  int RecordIndex;
};

struct TcxInplaceEditParams {
  bool MultiRowParent;
  TcxEditPosition Position;
};

using TcxEditValidateEvent =
    rtl::TMethod<void(rtl::TObject* Sender, rtl::Variant& DisplayValue, rtl::String& ErrorText, bool& Error)>;
using TcxEditButtonClickEvent = rtl::TMethod<void(rtl::TObject* Sender, int AButtonIndex)>;
using TcxEditClosePopupEvent = rtl::TMethod<void(rtl::TObject* Sender, TcxEditCloseUpReason AReason)>;

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
  // The classes of an editor with these settings.
  virtual TcxCustomEditClass GetContainerClass();
  virtual TcxCustomEditStyleClass GetStyleClass();
  virtual TcxCustomEditViewInfoClass GetViewInfoClass();
  virtual TcxCustomEditViewDataClass ViewDataClass();
  // A view data of ViewDataClass; the caller frees it.
  virtual TcxCustomEditViewData* CreateViewData(TcxCustomEditStyle* AStyle, bool AIsInplace,
                                                bool APreviewMode = false);
  // Lets the buttons update their actions.
  virtual void UpdateButtonActions() {}
  // Fills an empty error text and runs the OnValidate handlers of the
  // editor's own properties and of its repository item's; answers whether
  // the display value has a check of its own.
  virtual bool ValidateDisplayValue(rtl::Variant& ADisplayValue, rtl::String& AErrorText, bool& AError,
                                    TcxCustomEdit* AEdit);

  // Size queries without an editor: each through a view data made for the
  // question and freed afterwards.
  TSize GetEditConstantPartSize(TcxCanvas* ACanvas, TcxCustomEditStyle* AEditStyle, bool AIsInplace,
                                const TcxEditSizeProperties& AEditSizeProperties, TSize& MinContentSize);
  TSize GetEditContentSize(TcxCanvas* ACanvas, TcxCustomEditStyle* AEditStyle, bool AIsInplace,
                           const rtl::Variant& AEditValue, const TcxEditSizeProperties& AEditSizeProperties);
  TSize GetEditSize(TcxCanvas* ACanvas, TcxCustomEditStyle* AEditStyle, bool AIsInplace, const rtl::Variant& AEditValue,
                    const TcxEditSizeProperties& AEditSizeProperties);

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
  TcxEditButtonClickEvent GetOnButtonClick() const { return FOnButtonClick; }
  void SetOnButtonClick(TcxEditButtonClickEvent AValue) { FOnButtonClick = AValue; }
  TcxEditClosePopupEvent GetOnClosePopup() const { return FOnClosePopup; }
  void SetOnClosePopup(TcxEditClosePopupEvent AValue) { FOnClosePopup = AValue; }
  TcxEditValidateEvent GetOnValidate() const { return FOnValidate; }
  void SetOnValidate(TcxEditValidateEvent AValue) { FOnValidate = AValue; }
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
  TcxEditButtonClickEvent FOnButtonClick;
  TcxEditClosePopupEvent FOnClosePopup;
  TcxEditValidateEvent FOnValidate;
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
// The edit base: the editor control with its container base, the link to
// the value it edits, the per-activation state of an in-place editor, and
// the holder of change notifications.

class TcxCustomEdit;
class TcxTimer;
class TcxWindowProcLinkedObject;

// A failed validation with evoRaiseException raises the second.
class EcxEditError : public rtl::Exception {
 public:
  using Exception::Exception;
  const wchar_t* ClassName() const override { return L"EcxEditError"; }
};
RTL_DECLARE_EXCEPTION(EcxEditValidationError, EcxEditError);

// An anchor not taken yet.
inline constexpr int cxEditAnchorNotSet = 2147483647;

using TcxEditEditingEvent = rtl::TMethod<void(rtl::TObject* Sender, bool& CanEdit)>;

// The private messages of the editors.
// Posted when the validation error state changed: the container refreshes.
inline constexpr UINT DXM_EDITVALIDATIONSTATE = DXM_CONTAINERREFRESH;
// A data-aware host's request to end editing.
inline constexpr UINT DXM_EDITPOSTVALUE = 0x8082;

// The inner edit control's face to its editor.
struct IcxCustomInnerEdit : IcxContainerInnerControl {
  RTL_GUID(IcxCustomInnerEdit, "{468D21B5-48AA-4077-8ED5-4C6112D460B1}")
  // A message straight to the window class's own procedure.
  virtual LRESULT __stdcall CallDefWndProc(UINT AMsg, WPARAM AWParam, LPARAM ALParam) = 0;
  // False: the editor handles WM_CUT and WM_PASTE itself.
  virtual bool __stdcall CanProcessClipboardMessages() = 0;
  virtual rtl::Variant __stdcall GetEditValue() = 0;
  virtual rtl::TNotifyEvent __stdcall GetOnChange() = 0;
  virtual bool __stdcall GetReadOnly() = 0;
  virtual void __stdcall LockBounds(bool ALock) = 0;
  // Focuses the control when it can take the focus.
  virtual void __stdcall SafelySetFocus() = 0;
  virtual void __stdcall SetEditValue(const rtl::Variant& AValue) = 0;
  virtual void __stdcall SetParent(vcl::TWinControl* AValue) = 0;
  virtual void __stdcall SetOnChange(rtl::TNotifyEvent AValue) = 0;
  virtual void __stdcall SetReadOnly(bool AValue) = 0;
};

// An inner control whose IcxCustomInnerEdit is a helper object of its own.
struct IcxInnerEditHelper : rtl::IInterface {
  RTL_GUID(IcxInnerEditHelper, "{35667555-6DC8-40D5-B705-B08D5697C621}")
  virtual IcxCustomInnerEdit* __stdcall GetHelper() = 0;
};

// ---------------------------------------------------------------------------
// TcxCustomEditContainer

// The container the editors and the list wrappers derive from: the inner
// control's mouse entering and leaving count as the container's own.
class TcxCustomEditContainer : public TcxContainer {
  RTL_CLASS(TcxCustomEditContainer, TcxContainer)
  RTL_MESSAGES(RTL_MESSAGE(rtl::CM_MOUSELEAVE, HandleCMMouseLeave))

 public:
  // The window holding the mouse capture is this control's or a child of it.
  virtual bool IsMouseCaptureOwner();
  // P (client coordinates) lies in Bounds: left and top in, right and
  // bottom out.
  virtual bool PtInCaller(const TPoint& P);
  // The transparency question of the control framework.
  bool IsTransparentControl() { return HasParentBackground(); }

 protected:
  void MouseEnter(vcl::TControl* AControl) override;
  void MouseLeave(vcl::TControl* AControl) override;
  void MouseMove(vcl::TShiftState AShift, int X, int Y) override;
  using TcxContainer::MouseEnter;

  void HandleCMMouseLeave(rtl::TMessage& Message);
};

// ---------------------------------------------------------------------------
// TcxEditDataBinding

// The link between an editor and the value it edits. The base keeps the
// value inside the editor: "modified" means typed since entering, and a
// post stores nothing beyond the editor's EditValue.
class TcxEditDataBinding : public rtl::TPersistent {
  RTL_CLASS(TcxEditDataBinding, rtl::TPersistent)

 public:
  // Keeps the editor and makes the default-values provider.
  virtual void Create(TcxCustomEdit* AEdit);
  void Destroy() override;
  rtl::TPersistent* GetOwner() override;

  virtual bool CanCheckEditorValue();
  virtual bool CanModify();
  virtual bool CanPostEditorValue();
  virtual bool ExecuteAction(vcl::TBasicAction* /*AAction*/) { return false; }
  virtual bool UpdateAction(vcl::TBasicAction* /*AAction*/) { return false; }
  virtual TcxCustomEditDefaultValuesProviderClass GetDefaultValuesProviderClass();
  // Marks the editor modified after entering while it is focused.
  virtual void SetModified();
  virtual void UpdateDisplayValue();
  virtual void UpdateNotConnectedDBEditDisplayValue() {}
  virtual void DefaultValuesChanged();
  virtual rtl::Variant GetDisplayValue();
  virtual void SetDisplayValue(const rtl::Variant& AValue);
  virtual bool GetIsDataAvailable();
  virtual bool GetEditing();
  virtual bool GetModified();
  virtual rtl::Variant GetStoredValue();
  virtual void SetStoredValue(const rtl::Variant& /*AValue*/) {}
  virtual bool NoDataAvailable() { return !GetIsDataAvailable(); }
  virtual void Reset();
  // Puts the binding into edit mode; answers whether it succeeded.
  virtual bool SetEditMode();

  TcxCustomEdit* GetEdit() const { return FEdit; }
  TcxCustomEditDefaultValuesProvider* GetDefaultValuesProvider() const { return FIDefaultValuesProvider; }
  // The provider as the properties hold it.
  IcxEditDefaultValuesProvider* GetIDefaultValuesProvider() const;

 protected:
  TcxCustomEditDefaultValuesProvider* FIDefaultValuesProvider;
  TcxCustomEdit* FEdit;
};

using TcxEditDataBindingClass = rtl::ClassOf<TcxEditDataBinding>;

// ---------------------------------------------------------------------------
// TcxCustomEditData

// The state an in-place editor keeps between activations for one host; it
// forgets its editor when the editor is freed.
class TcxCustomEditData : public rtl::TObject {
  RTL_CLASS(TcxCustomEditData, rtl::TObject)

 public:
  virtual void Create(TcxCustomEdit* AEdit);
  void Destroy() override;
  // Marks the state cleared and lets the editor set it up again.
  void Clear();

  bool GetCleared() const { return FCleared; }
  void SetCleared(bool AValue) { FCleared = AValue; }
  TcxCustomEdit* GetEdit() const { return FEdit; }

 private:
  void EditFreed(rtl::TComponent* Sender);

  bool FCleared;
  TcxCustomEdit* FEdit;
  TcxFreeNotificator* FFreeNotificator;
};

using TcxCustomEditDataClass = rtl::ClassOf<TcxCustomEditData>;

// ---------------------------------------------------------------------------
// TcxEditChangeEventsCatcher

// Holds back OnChange and OnEditValueChanged while locked and fires each at
// most once when the last lock is released with AInvokeChangedOnUnlock.
class TcxEditChangeEventsCatcher : public rtl::TObject {
  RTL_CLASS(TcxEditChangeEventsCatcher, rtl::TObject)

 public:
  virtual void Create(TcxCustomEdit* AEdit);

  bool IsLocked() const { return FLockCount > 0; }
  // True: the first lock forgets what was pending. False: only while
  // locked; the last unlock fires the pending events when asked to.
  void Lock(bool ALock, bool AInvokeChangedOnUnlock = true);
  void InvokeEditChangedEvents();

  int GetLockCount() const { return FLockCount; }
  bool GetOnChangeEvent() const { return FOnChangeEvent; }
  void SetOnChangeEvent(bool AValue) { FOnChangeEvent = AValue; }
  bool GetOnEditValueChangedEvent() const { return FOnEditValueChangedEvent; }
  void SetOnEditValueChangedEvent(bool AValue) { FOnEditValueChangedEvent = AValue; }

 private:
  TcxCustomEdit* FEdit;
  int FLockCount;
  bool FOnChangeEvent;
  bool FOnEditValueChangedEvent;
};

// ---------------------------------------------------------------------------
// TcxCustomEdit

struct TcxEditModifiedState {
  bool Modified;
  bool ModifiedAfterEnter;
};

// Where AnchorX and AnchorY were read from a form stream.
RTL_ENUM(TcxEditAnchorScalingFlag, sfLeft, sfTop);
using TcxEditAnchorScalingFlags = rtl::TSet<TcxEditAnchorScalingFlag>;

// The base of every editor. It holds the value (EditValue), the settings
// (its own properties or a repository item's), the optional inner edit
// control that takes the keystrokes, the editing cycle (permission, change
// notifications, validation, posting, reset) and the modified flags; it
// lives standalone on a form or in place, activated by a host per cell.
class TcxCustomEdit : public TcxCustomEditContainer,
                      public IcxEditRepositoryItemListener,
                      public IdxFadingObject,
                      public IdxSpellCheckerControl {
  RTL_CLASS(TcxCustomEdit, TcxCustomEditContainer)
  RTL_INTERFACES(IcxEditRepositoryItemListener, IdxFadingObject, IdxSpellCheckerControl)
  RTL_PUBLISHED(RTL_PUBLISH(Height, RTL_NOT_STORED), RTL_PUBLISH(Width, RTL_NOT_STORED),
                RTL_PROPERTY(RepositoryItem, GetRepositoryItemComponent, SetRepositoryItemComponent),
                RTL_PROPERTY(PropertiesEvents, GetPropertiesEvents, SetPropertiesEvents),
                RTL_PROPERTY(OnFocusChanged, GetOnFocusChanged, SetOnFocusChanged))
  RTL_MESSAGES(RTL_MESSAGE(WM_CUT, HandleWMCut), RTL_MESSAGE(WM_COPY, HandleWMCopy),
               RTL_MESSAGE(WM_PASTE, HandleWMPaste), RTL_MESSAGE(rtl::CM_ENTER, HandleCMEnter),
               RTL_MESSAGE(rtl::CM_HINTSHOW, HandleCMHintShow), RTL_MESSAGE(rtl::CM_DIALOGCHAR, HandleCMDialogChar),
               RTL_MESSAGE(rtl::CM_SHOWINGCHANGED, HandleCMShowingChanged),
               RTL_MESSAGE(DXM_EDITPOSTVALUE, HandleDXMPostValue))

 public:
  void Create(rtl::TComponent* AOwner) override;
  // An in-place editor is made by its host with AIsInplace.
  virtual void Create(rtl::TComponent* AOwner, bool AIsInplace);
  void Destroy() override;

  // Public virtual operations.
  virtual void CopyToClipboard() {}
  virtual void CutToClipboard() {}
  virtual void PasteFromClipboard() {}
  // In-place activation for one cell.
  virtual void Activate(TcxCustomEditData*& AEditData, bool ANeedSetFocus = true);
  virtual void ActivateByKey(wchar_t AKey, TcxCustomEditData*& AEditData);
  virtual void ActivateByMouse(vcl::TShiftState AShift, int X, int Y, TcxCustomEditData*& AEditData);
  // EditValue := the clear value (Null in the base).
  virtual void Clear();
  // Validates the value of the cell; answers whether it is valid.
  virtual bool Deactivate();
  virtual TcxCustomEditPropertiesClass GetPropertiesClass();
  virtual bool IsChildWindow(HWND AWnd);
  virtual bool IsEditClass() { return false; }
  virtual bool IsRepositoryItemAcceptable(TcxEditRepositoryItem* AItem);
  virtual void PrepareEditValue(const rtl::Variant& ADisplayValue, rtl::Variant& EditValue, bool AEditFocused);
  virtual void SelectAll() {}
  virtual int GetTextBaseLine() { return 0; }
  virtual bool HasTextBaseLine() { return false; }

  // The value.
  rtl::Variant GetEditValue() { return DoGetEditValue(); }
  void SetEditValue(const rtl::Variant& AValue) { DoSetEditValue(AValue); }
  // The same without the click lock; never stored.
  rtl::Variant GetInternalEditValue() { return DoGetEditValue(); }
  void SetInternalEditValue(const rtl::Variant& AValue) { DoSetInternalEditValue(AValue); }
  // What the user has typed while focused and not yet validated, else
  // EditValue.
  rtl::Variant GetEditingValue();
  // EditValue := AValue as if the user had done it.
  void SetValidatableEditValue(const rtl::Variant& AValue);
  // Permission to change the value now; a standalone editor enters edit
  // mode when allowed.
  bool DoEditing();
  // Forced validation: with ARaiseExceptionOnError a failure raises
  // EcxEditValidationError, otherwise it answers False.
  bool ValidateEdit(bool ARaiseExceptionOnError);
  // Forced validation with the properties' ValidationOptions.
  bool ValidateEdit();
  void PostEditValue();
  bool CanPostEditValue();
  void Reset();
  void LockChangeEvents(bool ALock, bool AInvokeChangedOnUnlock = true);
  bool AreChangeEventsLocked() const;
  void LockClick(bool ALock);
  void LockEditValueChanging(bool ALock);
  // ModifiedAfterEnter := True, then Click unless a click lock is held.
  void ModifiedClick();
  void FireClosePopup(TcxEditCloseUpReason AReason);
  // Focused, or the properties do not depend on the focus.
  bool InternalFocused();
  bool IsInplace() override { return FIsInplace; }
  // The user-action counters: a user action is something the user caused
  // (keys, wheel, clipboard, the clear key); handlers run with user actions
  // disabled.
  void BeginUserAction();
  void EndUserAction();
  void DisableUserAction();
  void EnableUserAction();
  bool IsUserAction() const;

  // The component's own handling first, then the data binding's.
  virtual bool ExecuteAction(vcl::TBasicAction* AAction);
  virtual bool UpdateAction(vcl::TBasicAction* AAction);
  void InitiateAction() override;

  // The settings every decision reads: the repository item's properties
  // when there is one, else the own.
  TcxCustomEditProperties* GetActiveProperties();
  TcxCustomEditProperties* GetInternalProperties() const { return FProperties; }
  // Assigning copies into the own properties.
  void SetProperties(TcxCustomEditProperties* AValue);
  TcxEditRepositoryItem* GetRepositoryItem() const { return FRepositoryItem; }
  void SetRepositoryItem(TcxEditRepositoryItem* AValue);
  // RepositoryItem as a form stream sees it; anything but a repository item
  // is refused.
  rtl::TComponent* GetRepositoryItemComponent() const;
  void SetRepositoryItemComponent(rtl::TComponent* AValue);
  TcxEditDataBinding* GetDataBinding() const { return FDataBinding; }
  TcxCustomEditData* GetEditData() const { return FEditData; }
  bool GetEditModified() const { return FModified; }
  void SetEditModified(bool AValue);
  bool GetModifiedAfterEnter() const { return FModifiedAfterEnter; }
  void SetModifiedAfterEnter(bool AValue);
  bool GetIsEditValidating() const { return FIsEditValidating; }
  bool GetIsEditValidated() const { return FIsEditValidated; }
  bool GetIsHiding() const { return FIsHiding; }
  bool GetIsPosting() const { return FIsPosting; }
  bool GetValidationError() const { return FValidationError; }
  const rtl::String& GetValidationErrorText() const { return FValidationErrorText; }
  IcxCustomInnerEdit* GetInnerEdit() const { return FInnerEdit.Get(); }
  // The container's view info as the editors calculate it.
  TcxCustomEditViewInfo* GetViewInfo() const;
  // Makes a window first when one can be made.
  int GetHeight();
  TcxEditStyle* GetStyle() const { return GetEditStyle(TcxContainerStateItem::csNormal); }
  void SetStyle(TcxEditStyle* AValue) { SetInternalStyle(TcxContainerStateItem::csNormal, AValue); }
  TcxEditStyle* GetStyleDisabled() const { return GetEditStyle(TcxContainerStateItem::csDisabled); }
  void SetStyleDisabled(TcxEditStyle* AValue) { SetInternalStyle(TcxContainerStateItem::csDisabled, AValue); }
  TcxEditStyle* GetStyleFocused() const { return GetEditStyle(TcxContainerStateItem::csActive); }
  void SetStyleFocused(TcxEditStyle* AValue) { SetInternalStyle(TcxContainerStateItem::csActive, AValue); }
  TcxEditStyle* GetStyleHot() const { return GetEditStyle(TcxContainerStateItem::csHotTrack); }
  void SetStyleHot(TcxEditStyle* AValue) { SetInternalStyle(TcxContainerStateItem::csHotTrack, AValue); }
  bool GetSupportsTouchMode() const { return FSupportsTouchMode; }
  void SetSupportsTouchMode(bool AValue) { FSupportsTouchMode = AValue; }

  rtl::TNotifyEvent GetPropertiesEvents() const { return FPropertiesEvents; }
  void SetPropertiesEvents(rtl::TNotifyEvent AValue) { FPropertiesEvents = AValue; }
  rtl::TNotifyEvent GetOnFocusChanged() const { return FOnFocusChanged; }
  void SetOnFocusChanged(rtl::TNotifyEvent AValue) { FOnFocusChanged = AValue; }
  vcl::TKeyEvent GetOnAfterKeyDown() const { return FOnAfterKeyDown; }
  void SetOnAfterKeyDown(vcl::TKeyEvent AValue) { FOnAfterKeyDown = AValue; }
  TcxEditEditingEvent GetOnEditing() const { return FOnEditing; }
  void SetOnEditing(TcxEditEditingEvent AValue) { FOnEditing = AValue; }
  rtl::TNotifyEvent GetOnPostEditValue() const { return FOnPostEditValue; }
  void SetOnPostEditValue(rtl::TNotifyEvent AValue) { FOnPostEditValue = AValue; }

  // Input routines of descendants: the properties' clear key, or the click
  // key with an enabled default button.
  bool IsClearOrClickKey(WORD AKey, vcl::TShiftState AShift);
  bool IsDefaultButtonClickKey(TShortCut AShortCut);
  // The first button whose bounds hold P; -1 when none.
  int GetButtonIndexAt(const TPoint& P);
  // Not designing, focused, and in place only with UseMouseWheel or Ctrl.
  bool CanHandleMouseWheel(vcl::TShiftState AShift);
  // Recalculates for the cursor's position as not a mouse event.
  void UpdateHotStateAtCursor();
  // The auto-size switches.
  bool GetAutoSize() const { return FAutoWidth || FAutoHeight; }
  void SetAutoSize(bool AValue) override;
  bool GetAutoHeight() const { return FAutoHeight; }
  void SetAutoHeight(bool AValue);
  bool GetAutoWidth() const { return FAutoWidth; }
  void SetAutoWidth(bool AValue);
  int GetAnchorX() const { return FAnchorX; }
  int GetAnchorY() const { return FAnchorY; }

  // IcxEditRepositoryItemListener
  void __stdcall ItemRemoved(TcxEditRepositoryItem* Sender) override;
  void __stdcall PropertiesChanged(TcxEditRepositoryItem* Sender) override;
  // IdxFadingObject
  bool __stdcall FadingCanFade() override { return CanFadeHotState(); }
  void __stdcall FadingRepaint() override;
  void __stdcall FadingGetImages(TcxBitmap32*& AFadeOutImage, TcxBitmap32*& AFadeInImage) override;
  // IdxSpellCheckerControl
  bool __stdcall HasSpellCheckSupport() override { return false; }
  void __stdcall SpellCheckerChanged() override {}
  void __stdcall SetIsBarControl(bool AValue) override { FIsBarControl = AValue; }
  void __stdcall SetSpellCheckerValue(const rtl::String& AValue) override;

  // The first parent runs the editor's first display.
  void SetParent(vcl::TWinControl* AParent) override;

  // A new view data for the current style, the in-place flag and this
  // editor; the caller frees it.
  virtual TcxCustomEditViewData* CreateViewData();

 protected:
  // Virtual operations introduced here, in the order descendants meet them.
  virtual void AdjustInnerEditPosition();
  virtual void AfterPosting() { FIsPosting = false; }
  virtual void BeforePosting() { FIsPosting = true; }
  virtual void CalculateViewInfoAtPoint(const TPoint& P, TcxMouseButton AButton, vcl::TShiftState AShift,
                                        bool AIsMouseEvent);
  virtual void UpdateAnchors();
  // The inner edit's change handler.
  virtual void InnerEditChanged(rtl::TObject* Sender);
  virtual rtl::IPtr<IcxCustomInnerEdit> CreateInnerEdit();
  virtual void PressDefaultButton();
  virtual void AutoSizeChanged() {}
  virtual void DoButtonClick(int AButtonVisibleIndex);
  virtual void ButtonDown(int /*AButtonVisibleIndex*/) {}
  virtual void ButtonUp(int /*AButtonVisibleIndex*/) {}
  virtual void DoChange();
  virtual void DoEditValueChanged();
  virtual void ProcessKeyDown(WORD& AKey, vcl::TShiftState AShift);
  virtual void ProcessKeyPress(wchar_t& AKey);
  virtual void DoEditKeyUp(WORD& /*AKey*/, vcl::TShiftState /*AShift*/) {}
  // Tab about to move the focus; clearing the key keeps it.
  virtual void HandleTabKey(vcl::TShiftState /*AShift*/) {}
  virtual void DoFocusChanged();
  virtual void ProcessExit(bool ACallDoExit = true);
  virtual void SetFocusAndSelect();
  virtual void ProcessEnter();
  virtual void DoValidateOnEnter();
  virtual void DoOnChange();
  virtual void DoOnEditValueChanged();
  virtual rtl::Variant GetClearValue();
  virtual TcxEditDataBindingClass GetDataBindingClass();
  virtual rtl::String GetDisplayText() { return {}; }
  virtual rtl::Variant GetDisplayValue();
  virtual TcxCustomEditDataClass GetEditDataClass() { return {}; }
  virtual rtl::Variant DoGetEditValue() { return FEditValue; }
  virtual bool GetPartHint(int APart, rtl::String& AText);
  virtual rtl::ClassOf<vcl::TWinControl> GetInnerEditClass() { return {}; }
  virtual TcxEditSizeProperties GetEditSizeProperties();
  // Construction body: every editor sets itself up here, the inherited
  // one first.
  virtual void Initialize();
  virtual void InitializeEditData() {}
  virtual void InitializeInnerEdit();
  virtual void InitializeViewData(TcxCustomEditViewData* AViewData);
  virtual bool CanEdit() { return true; }
  virtual rtl::Variant GetUnpostedEditingValue() { return GetEditValue(); }
  virtual void SetDisplayValue(const rtl::Variant& /*AValue*/) {}
  virtual void ApplyEditValue(const rtl::Variant& AValue, bool AIsUserAction);
  virtual void StoreEditValue(const rtl::Variant& AValue) { FEditValue = AValue; }
  virtual bool CanAutoSize();
  virtual bool SupportsAutoHeight() { return true; }
  virtual bool SupportsAutoWidth();
  virtual bool UsesWordWrap() { return false; }
  virtual bool IsValueChangingKey(WORD /*AKey*/, vcl::TShiftState /*AShift*/) { return false; }
  virtual bool IsValueChangingChar(wchar_t /*AChar*/) { return false; }
  virtual bool CanModify();
  virtual bool AllowsClickWhileLoading() { return false; }
  virtual bool IsEditorKey(WORD AKey, vcl::TShiftState AShift);
  virtual bool UsesParentBackground() { return false; }
  virtual bool HasOwnTransparency();
  virtual bool AcceptsChar(wchar_t AChar);
  virtual bool IsInsertOrDeleteKey(WORD AKey, vcl::TShiftState AShift);
  virtual bool UsesAnchors();
  virtual bool UsesAnchorX();
  virtual bool UsesAnchorY();
  virtual bool ReportsPostErrors() { return !IsInplace(); }
  virtual bool DoValidateDisplayValue(rtl::Variant& ADisplayValue, rtl::String& AErrorText, bool& AError);
  virtual rtl::Variant EditValueToDisplayValue();
  virtual void SetValidatedDisplayValue(const rtl::Variant& AValue);
  virtual void HandleValidationError(const rtl::String& AErrorText, TcxEditValidationOptions AOptions,
                                     bool ACanAbort);
  virtual void PaintCopy();
  virtual void EditorPrepareDisplayValue(const rtl::Variant& AEditValue, rtl::Variant& ADisplayValue, bool AFocused);
  // The settings changed (Sender: the properties).
  virtual void PropertiesChanged(rtl::TObject* Sender);
  virtual bool GetEffectiveReadOnly();
  virtual void RepositoryItemChanged() {}
  virtual void RepositoryItemChanging() {}
  virtual void DoReset();
  virtual bool ResendsActivationKey(wchar_t /*AKey*/) { return true; }
  virtual bool SetTextValue(const rtl::String& /*AText*/) { return false; }
  virtual void DoSetEditValue(const rtl::Variant& AValue);
  virtual void DoSetInternalEditValue(const rtl::Variant& AValue);
  virtual void SetInnerEditValue(const rtl::Variant& /*AValue*/) {}
  // Rebuild what is shown from EditValue.
  virtual void RefreshDisplayValue() {}
  // Rebuild EditValue from what is shown.
  virtual void SynchronizeEditValue() {}
  virtual bool WantsTabKey() { return IsInplace(); }
  virtual bool RefreshesDisplayOnFocus() { return true; }
  virtual void UpdateDrawValue() {}
  virtual bool AcceptsKeyDown(WORD AKey, vcl::TShiftState AShift);
  virtual bool HandleCharacter(wchar_t& AKey);
  virtual bool HandlesNavigationKeys() { return false; }
  virtual void InnerEditWndProc(rtl::TMessage& Message);
  virtual void HookInnerEditWndProc();
  virtual void UnhookInnerEditWndProc();
  virtual bool CanFadeHotState();
  virtual void PrepareFadeImages(TcxBitmap32*& AFadeOut, TcxBitmap32*& AFadeIn);

  // The editing cycle.
  // Returns whether the value is valid.
  bool RunValidation(TcxEditValidationOptions AOptions, bool AForce);
  bool ValidateByOptions(bool AForce = false);
  void DoPostEditValue(bool AValidate);
  void ForcePostEditValue();
  void FireOnPostEditValue();
  void DoAfterKeyDown(WORD& AKey, vcl::TShiftState AShift);
  void SavePrevEditValue(const rtl::Variant& AValue);
  void RestorePrevValidationError();
  bool CanResetEditValue();
  bool IsBoundToDataStorage();
  void PushModifiedState();
  void PopModifiedState();
  void LockValidate(bool ALock);
  void RefreshEditData();
  void UpdateInnerEditReadOnly();
  void SetInnerEditReadOnly(bool AValue);
  // No inner edit exists although the editor class names one.
  bool IsInnerEditMissing();
  // Tab's step: the next tab stop outside the editor takes the focus.
  void FocusNextControl(bool AGoForward);
  void DoCutToClipboard();
  void DoPasteFromClipboard();
  bool ClickButtonByAccelerator(wchar_t ACharCode);
  int GetDefaultButtonIndex();
  // Auto size and anchors.
  bool CanAutoHeight();
  bool CanAutoWidth();
  void ApplyAutoSizeChange(bool AValue);
  void CalculateAutoSize(int& ANewWidth, int& ANewHeight);
  TPoint CalculateAnchoredPosition(int AWidth, int AHeight);
  void EnsureHandleForAutoSize();
  TcxCustomEditStyle* GetCurrentStyle();
  bool IsPaintCopyMode();
  void StopDblClickTimer(rtl::TObject* Sender);

  // Overrides of the framework.
  void Loaded() override;
  void ReadState(rtl::TReader* AReader) override;
  void SetName(const rtl::String& AValue) override;
  void DefineProperties(rtl::TFiler* Filer) override;
  void Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation) override;
  void KeyDown(WORD& AKey, vcl::TShiftState AShift) override;
  void KeyPress(wchar_t& AKey) override;
  void KeyUp(WORD& AKey, vcl::TShiftState AShift) override;
  void MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y) override;
  void Click() override;
  void DblClick() override;
  bool DoMouseWheel(vcl::TShiftState AShift, int AWheelDelta, TPoint AMousePos) override;
  void DoEnter() override;
  void DoExit() override;
  void FocusChanged() override;
  bool CanResize(int& ANewWidth, int& ANewHeight) override;
  void RequestAlign() override;
  void CreateWnd() override;
  void Paint() override;
  void TransparentChanged() override;
  void DoChangeScale(int M, int D, bool AIsDpiChange) override;
  bool IsDoubleBuffered() override;
  bool HasParentBackground() override;
  void GetHintForPoint(const TPoint& P, rtl::String& AText) override;
  bool CanFocusOnClick(int X, int Y) override;
  // The container's steps.
  bool HandlesTabKey() override { return false; }
  bool RefreshContainer(const TPoint& P, TcxMouseButton Button, vcl::TShiftState Shift,
                        bool AIsMouseEvent) override;
  void ProcessViewInfoChanges() override;
  void GetBorderExtent(TRect& R) override;
  TcxEditStateColorKind GetDrawState() override;
  TcxContainerStyleClass GetStyleClass() override;
  TcxContainerViewInfoClass GetViewInfoClass() override;
  void GetExtraWindowRegionBounds(TRect& R) override;
  TcxContainerStyleValues GetHiddenStyleValues() override;
  bool IsNativeStyle() override;
  bool IsReadOnly() override;
  void AdjustInnerControlBounds() override;
  void FocusInnerControl() override;
  bool HandleInnerControlMessage(rtl::TMessage& Message) override;
  bool InnerControlMenuHandler(rtl::TMessage& Message) override;

  void HandleWMCut(rtl::TMessage& Message);
  void HandleWMCopy(rtl::TMessage& Message);
  void HandleWMPaste(rtl::TMessage& Message);
  void HandleCMEnter(rtl::TMessage& Message);
  void HandleCMHintShow(rtl::TMessage& Message);
  void HandleCMDialogChar(rtl::TMessage& Message);
  void HandleCMShowingChanged(rtl::TMessage& Message);
  void HandleDXMPostValue(rtl::TMessage& Message);

  TcxEditDataBinding* FDataBinding;
  rtl::Variant FEditValue;
  TcxCustomEditProperties* FProperties;

 public:
  TcxEditContentParams ContentParams;
  TcxInplaceEditParams InplaceParams;

 private:
  friend class TcxEditChangeEventsCatcher;
  friend class TcxEditDataBinding;
  friend class TcxCustomEditData;
  friend class TcxInplaceEditList;

  TcxEditStyle* GetEditStyle(TcxContainerStateItem AState) const
  {
    return static_cast<TcxEditStyle*>(GetInternalStyle(AState));
  }
  // The properties that answer the class questions before the own
  // properties exist.
  TcxCustomEditProperties* PropertiesForClassQuery(rtl::TOwnedPtr<TcxCustomEditProperties>& ATemporary);
  void InitializeContentParams();
  void MarkReplicatable(vcl::TControl* AControl);
  // A left press that left the editor holding the capture keeps the
  // pressed button under P.
  void CaptureButtonAt(const TPoint& P);
  void RepositoryItemPropertiesChanged(TcxCustomEditProperties* AProperties);
  bool HasChangeHandler(rtl::TNotifyEvent (TcxCustomEditProperties::*AGetter)() const);
  // Runs a change notification with the modified flags set for an
  // in-place editor's handlers.
  void FireChangeNotification(void (TcxCustomEdit::*ANotify)());
  void ReadHeight(rtl::TReader* AReader);
  void WriteHeight(rtl::TWriter* AWriter);
  void ReadWidth(rtl::TReader* AReader);
  void WriteWidth(rtl::TWriter* AWriter);
  void ReadAnchorX(rtl::TReader* AReader);
  void WriteAnchorX(rtl::TWriter* AWriter);
  void ReadAnchorY(rtl::TReader* AReader);
  void WriteAnchorY(rtl::TWriter* AWriter);

  int FAnchorX;
  int FAnchorY;
  TcxEditAnchorScalingFlags FAnchorScalingFlags;
  bool FAutoHeight;
  bool FAutoWidth;
  int FCaptureButtonVisibleIndex;
  TcxEditChangeEventsCatcher* FChangeEventsCatcher;
  int FClickLockCount;
  TcxTimer* FDblClickTimer;
  TcxCustomEditData* FEditData;
  bool FEditModeSetting;
  bool FFocused;
  bool FHandleAllocating;
  rtl::IPtr<IcxCustomInnerEdit> FInnerEdit;
  int FUserActionCount;
  int FUserActionDisabledCount;
  bool FModified;
  bool FModifiedAfterEnter;
  bool FNeedFocusOnClick;
  std::vector<TcxEditModifiedState> FPrevModifiedList;
  rtl::TNotifyEvent FPropertiesEvents;
  TcxEditRepositoryItem* FRepositoryItem;
  bool FSupportsTouchMode;
  TcxWindowProcLinkedObject* FWindowProcObject;
  bool FIsBarControl;
  bool FIsContentParamsInitialized;
  bool FIsKeyPressHandled;
  bool FIsFirstSetSize;
  bool FIsHiding;
  bool FIsInplace;
  bool FIsInplaceInitializing;
  bool FIsJustCreated;
  bool FIsPosting;
  bool FIsEditValidated;
  bool FIsEditValidating;
  int FLockValidate;
  bool FValidateErrorProcessing;
  bool FValidationError;
  rtl::String FValidationErrorText;
  rtl::Variant FPrevEditValue;
  bool FPrevValidationError;
  int FEditValueChangingLockCount;
  bool FProcessingViewInfoChanges;
  rtl::TNotifyEvent FOnFocusChanged;
  vcl::TKeyEvent FOnAfterKeyDown;
  TcxEditEditingEvent FOnEditing;
  rtl::TNotifyEvent FOnPostEditValue;
};

// ---------------------------------------------------------------------------
// TcxInplaceEditList

struct TcxEditListItem {
  TcxCustomEdit* Edit;
  // Nil: a free editor that properties of the matching class may take.
  TcxCustomEditProperties* Properties;
};

// The in-place editors a host keeps, one bound to each properties object
// it edits with, reused for other properties of the same editor class when
// free.
class TcxInplaceEditList : public rtl::TObject {
  RTL_CLASS(TcxInplaceEditList, rtl::TObject)

 public:
  virtual void Create(rtl::TComponent* AEditorOwner);
  // Deletes every item from the front.
  void Destroy() override;

  // The editor bound to AProperties (or a free one of its class, now bound),
  // else a new hidden one; either way with AProperties copied in.
  TcxCustomEdit* GetEdit(TcxCustomEditProperties* AProperties);
  // A free editor of the class, else a new free one.
  TcxCustomEdit* GetEdit(TcxCustomEditPropertiesClass APropertiesClass);
  TcxCustomEdit* FindEdit(TcxCustomEditProperties* AProperties);
  TcxCustomEdit* FindEdit(TcxCustomEditPropertiesClass APropertiesClass);
  // The editor bound to AProperties becomes free; it stays.
  void DisconnectProperties(TcxCustomEditProperties* AProperties);
  void RemoveItem(TcxCustomEditProperties* AProperties);
  void RemoveItem(TcxCustomEditPropertiesClass APropertiesClass);

  int GetCount() const { return static_cast<int>(FItems.size()); }
  const TcxEditListItem& GetItem(int AIndex) const { return FItems.at(static_cast<std::size_t>(AIndex)); }
  rtl::TComponent* GetEditorOwner() const { return FEditorOwner; }

 private:
  void DeleteItem(std::size_t AIndex);
  // An editor freed by its owner leaves the list.
  void EditFreed(rtl::TComponent* Sender);
  // Copies AProperties into the editor with its change events held.
  void InitEdit(TcxCustomEdit* AEdit, TcxCustomEditProperties* AProperties);

  rtl::TComponent* FEditorOwner;
  std::vector<TcxEditListItem> FItems;
  TcxFreeNotificator* FFreeNotificator;
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
