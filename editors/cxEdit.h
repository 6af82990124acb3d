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

#include <windows.h>
#include <uxtheme.h>

#include "controls/cxContainer.h"
#include "controls/dxRightToLeftLayout.h"
#include "core/cxClassesComponents.h"
#include "editors/dxSpellCheckerCore.h"
#include "graphics/dxFading.h"
#include "core/cxClasses.h"
#include "core/dxCoreClasses.h"
#include "graphics/dxFading.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "platform/vcl/ActnList.h"
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

RTL_ENUM(TcxEditButtonKind, bkEllipsis, bkDown, bkGlyph, bkText);
RTL_ENUM(TcxEditButtonState, ebsDisabled, ebsNormal, ebsPressed, ebsSelected);
// How the frame of a themed editor is drawn around its content.
RTL_ENUM(TcxEditBackgroundPaintingStyle, bpsSolid, bpsComboEdit, bpsComboListEdit);
RTL_ENUM(TcxEditViewInfoState, evsPaintButtons);
using TcxEditViewInfoStates = rtl::TSet<TcxEditViewInfoState>;
RTL_ENUM(TcxEditPaintOption, epoAllowZeroHeight, epoAutoHeight, epoHasExternalBorder, epoShowEndEllipsis,
         epoShowFocusRectWhenInplace);
using TcxEditPaintOptions = rtl::TSet<TcxEditPaintOption>;
class TcxCustomEditViewData;

// What the fading of a button needs of the editor it belongs to.
struct IcxEditOwner : rtl::IInterface {
  RTL_GUID(IcxEditOwner, "{8F3A2C61-5B0E-4D7A-9E2F-3C1B6A4D8E05}")
  // A view data for the owner's current state; AIsViewDataCreated tells
  // whether the caller must free it.
  virtual TcxCustomEditViewData* __stdcall GetViewData(bool& AIsViewDataCreated) = 0;
  virtual void __stdcall Invalidate(const TRect& R, bool AEraseBackground) = 0;
};

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
// The buttons an editor carries in its frame: a collection owned by the
// properties; each button can follow an action.

class TcxCustomEditButton;
class TcxCustomEditButtons;

// The link of a button to its action: the button shows the action's
// caption, enabled and visible state, hint and image while they agree.
class TcxEditButtonActionLink : public vcl::TActionLink {
  RTL_CLASS(TcxEditButtonActionLink, vcl::TActionLink)

 public:
  bool IsCaptionLinked() override;
  bool IsEnabledLinked() override;
  bool IsHintLinked() override;
  bool IsImageIndexLinked() override;
  bool IsVisibleLinked() override;
  // Adds the action's shortcut to a non-empty hint when the application
  // shows shortcuts in hints; always True.
  virtual bool PrepareHint(rtl::String& HintStr);

 protected:
  void AssignClient(rtl::TObject* AClient) override;
  void SetCaption(const rtl::String& AValue) override;
  void SetEnabled(bool AValue) override;
  void SetHint(const rtl::String& AValue) override;
  void SetImageIndex(int AValue) override;
  void SetVisible(bool AValue) override;

  TcxCustomEditButton* FClient;
};

using TcxEditButtonActionLinkClass = rtl::ClassOf<TcxEditButtonActionLink>;

class TcxCustomEditButton : public rtl::TCollectionItem {
  RTL_CLASS(TcxCustomEditButton, rtl::TCollectionItem)

 public:
  void Create(rtl::TCollection* ACollection) override;
  void Destroy() override;
  // From another button, in one update of the collection.
  void Assign(rtl::TPersistent* ASource) override;

  virtual void ScaleWidth(int M, int D);
  // The collection's free notification: a freed action is let go.
  virtual void ActionRemoved(rtl::TComponent* AAction);
  virtual vcl::TBasicAction* GetAction();
  virtual TcxEditButtonActionLinkClass ActionLinkClass();
  virtual void UpdateButtonAction();

  void SetAction(vcl::TBasicAction* AValue);
  TcxEditButtonActionLink* GetActionLink() const { return FActionLink; }
  const rtl::String& GetCaption() const { return FCaption; }
  void SetCaption(const rtl::String& AValue);
  rtl::TAlignment GetContentAlignment() const { return FContentAlignment; }
  void SetContentAlignment(rtl::TAlignment AValue);
  bool GetDefault() const { return FDefault; }
  // Setting it clears it on the other buttons without telling them.
  void SetDefault(bool AValue);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool AValue);
  TdxSmartGlyph* GetGlyph() const { return FGlyph; }
  void SetGlyph(TdxSmartGlyph* AValue);
  const rtl::String& GetHint() const { return FHint; }
  void SetHint(const rtl::String& AValue) { FHint = AValue; }
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int AValue);
  TcxEditButtonKind GetKind() const { return FKind; }
  void SetKind(TcxEditButtonKind AValue);
  bool GetLeftAlignment() const { return FLeftAlignment; }
  void SetLeftAlignment(bool AValue);
  bool GetStretchable() const { return FStretchable; }
  void SetStretchable(bool AValue);
  std::intptr_t GetTag() const { return FTag; }
  void SetTag(std::intptr_t AValue) { FTag = AValue; }
  vcl::TColor GetTextColor() const { return FTextColor; }
  void SetTextColor(vcl::TColor AValue);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool AValue);
  // The caption as shown: accelerator ampersands removed, '&&' kept as '&'.
  const rtl::String& GetVisibleCaption() const { return FVisibleCaption; }
  // 0 is the automatic width; a negative width counts as 0.
  int GetWidth() const { return FWidth; }
  void SetWidth(int AValue);

  TcxCustomEditButtons* GetButtons() const;

 protected:
  // Takes the action's values; with ACheckDefaults only over values still
  // at their defaults.
  virtual void ActionChange(rtl::TObject* Sender, bool ACheckDefaults);
  void DoActionChange(rtl::TObject* Sender);
  void GlyphChanged(rtl::TObject* Sender);

  bool IsCaptionStored();
  bool IsEnabledStored();
  bool IsHintStored();
  bool IsImageIndexStored();
  bool IsVisibleStored();
  bool IsTagStored() { return FTag != 0; }

 private:
  friend class TcxEditButtonActionLink;

  bool IsLinked(bool (TcxEditButtonActionLink::*AIsLinked)());

  TcxEditButtonActionLink* FActionLink;
  rtl::String FCaption;
  rtl::TAlignment FContentAlignment;
  bool FDefault;
  bool FEnabled;
  TdxSmartGlyph* FGlyph;
  rtl::String FHint;
  int FImageIndex;
  TcxEditButtonKind FKind;
  bool FLeftAlignment;
  bool FStretchable;
  std::intptr_t FTag;
  vcl::TColor FTextColor;
  bool FVisible;
  rtl::String FVisibleCaption;
  int FWidth;
};

class TcxEditButton : public TcxCustomEditButton {
  RTL_CLASS(TcxEditButton, TcxCustomEditButton)
  RTL_PUBLISHED(RTL_PROPERTY(Action, GetAction, SetAction),
                RTL_PROPERTY(Caption, GetCaption, SetCaption, RTL_STORED(IsCaptionStored)),
                RTL_PROPERTY(ContentAlignment, GetContentAlignment, SetContentAlignment,
                             RTL_DEFAULT(rtl::TAlignment::taCenter)),
                RTL_PROPERTY(Default, GetDefault, SetDefault, RTL_DEFAULT(false)),
                RTL_PROPERTY(Enabled, GetEnabled, SetEnabled, RTL_STORED(IsEnabledStored)),
                RTL_PROPERTY(Glyph, GetGlyph, SetGlyph),
                RTL_PROPERTY(Hint, GetHint, SetHint, RTL_STORED(IsHintStored)),
                RTL_PROPERTY(ImageIndex, GetImageIndex, SetImageIndex, RTL_STORED(IsImageIndexStored)),
                RTL_PROPERTY(Kind, GetKind, SetKind, RTL_DEFAULT(TcxEditButtonKind::bkDown)),
                RTL_PROPERTY(LeftAlignment, GetLeftAlignment, SetLeftAlignment, RTL_DEFAULT(false)),
                RTL_PROPERTY(Stretchable, GetStretchable, SetStretchable, RTL_DEFAULT(true)),
                RTL_PROPERTY(Tag, GetTag, SetTag, RTL_STORED(IsTagStored)),
                RTL_PROPERTY(Visible, GetVisible, SetVisible, RTL_STORED(IsVisibleStored)),
                RTL_PROPERTY(Width, GetWidth, SetWidth, RTL_DEFAULT(0)))
};

using TcxCustomEditButtonClass = rtl::ClassOf<TcxCustomEditButton>;

class TcxCustomEditButtons : public rtl::TCollection {
  RTL_CLASS(TcxCustomEditButtons, rtl::TCollection)

 public:
  virtual void Create(rtl::TPersistent* AOwner, TcxCustomEditButtonClass AButtonClass);
  void Destroy() override;
  rtl::TPersistent* GetOwner() override { return FOwner; }

  // Every button's width times M / D, in one update.
  virtual void ScaleButtonWidths(int M, int D);
  virtual void ActionFreeNotification(rtl::TComponent* AComponent);
  virtual TcxCustomEditButtonClass ButtonClass();
  virtual void UpdateActions();

  TcxCustomEditButton* Add() { return static_cast<TcxCustomEditButton*>(inherited::Add()); }
  TcxCustomEditButton* GetItems(int AIndex) const
  {
    return static_cast<TcxCustomEditButton*>(inherited::GetItems(AIndex));
  }
  void SetItems(int AIndex, TcxCustomEditButton* AValue) { GetItems(AIndex)->Assign(AValue); }
  int GetVisibleCount() const;
  vcl::TCustomImageList* GetImages() const { return FImages; }
  void SetImages(vcl::TCustomImageList* AValue) { FImages = AValue; }
  // Watches the buttons' actions.
  TcxFreeNotificator* GetFreeNotificator() const { return FFreeNotificator; }

  rtl::TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(rtl::TNotifyEvent AValue) { FOnChange = AValue; }

 protected:
  void Update(rtl::TCollectionItem* AItem) override;

 private:
  TcxFreeNotificator* FFreeNotificator;
  rtl::TPersistent* FOwner;
  vcl::TCustomImageList* FImages;
  rtl::TNotifyEvent FOnChange;
};

class TcxEditButtons : public TcxCustomEditButtons {
  RTL_CLASS(TcxEditButtons, TcxCustomEditButtons)

 public:
  TcxCustomEditButtonClass ButtonClass() override { return TcxCustomEditButtonClass::Of<TcxEditButton>(); }
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
  // The editor is entering or leaving its edit mode.
  bool IsEditModeSetting() const { return FEditModeSetting; }
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
  // Recalculates and repaints only what changed against the look before a
  // mouse event; other refreshes repaint the whole frame band.
  bool RefreshContainer(const TPoint& P, TcxMouseButton Button, vcl::TShiftState Shift,
                        bool AIsMouseEvent) override;
  bool IsHotTrackAllowed(vcl::TShiftState AShift);
  // ShortRefreshContainer (False) for a change that touches only states and
  // colours: only what differs from the look before repaints.
  void RefreshComparing();
  // The layout mirrors: lay out and paint afresh.
  void BiDiModeChanged() override;
  void ProcessViewInfoChanges() override;
  void CalculateViewInfo(const TPoint& P, bool AHotTrackAllowed) override;
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
  // The layout and painting read the editor's state directly.
  friend class TcxCustomEditViewData;
  friend class TcxCustomEditViewInfo;

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
  // AViewInfo laid out by a new view data for the editor's bounds at the
  // origin and the mouse at P.
  void CalculateViewInfoFor(TcxCustomEditViewInfo* AViewInfo, const TPoint& P, TcxMouseButton AButton,
                            vcl::TShiftState AShift, bool AIsMouseEvent);
  // The editor's frame and background as the view info for P shows them,
  // on a new bitmap of the editor's size.
  TcxBitmap32* RenderFadeImage(const TPoint& P);
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
  // What the container's refresh was asked for, for the editor's layout.
  TcxMouseButton FCalculationButton;
  vcl::TShiftState FCalculationShift;
  bool FCalculationIsMouseEvent;
  bool FRefreshComparing = false;
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

// ---------------------------------------------------------------------------
// Layout and painting of an editor: the paint utilities, the button view
// info and its fading, the view info (the kept result: rectangles, colours,
// states; paints and hit-tests) and the view data (the short-lived
// calculator that fills a view info from the properties, the style and the
// editor's state).

class TcxCustomEdit;
class TcxCustomEditViewInfo;
class TcxEditButtonViewInfo;
class TcxBitmap32;
struct IcxCustomInnerEdit;

// The cached solid brush of a colour; callers never delete it.
HBRUSH cxEditGetSolidBrush(vcl::TColor AColor);
void cxFillRectWithColor(TcxCanvas* ACanvas, const TRect& R, vcl::TColor AColor);
void cxEditFillRect(HDC DC, const TRect& R, HBRUSH ABrush);
// The band between AOuter and AInner; all of AOuter when AInner is empty,
// nothing when AOuter is empty or equals AInner.
void cxEditFillRectFrame(TcxCanvas* ACanvas, const TRect& AOuter, const TRect& AInner, HBRUSH ABrush);
// One-pixel edges on the sides of R named in AEdges; R shrinks past each.
void cxEditDrawBorderEdges(TcxCanvas* ACanvas, TRect& R, TcxBorders AEdges, vcl::TColor AColor);
// An axis-aligned one-pixel polyline through APoints[0..AHigh], given left to
// right and top to bottom; AUseFill fills rectangles instead of drawing with
// the pen.
void cxEditFillPolyline(TcxCanvas* ACanvas, const TPoint* APoints, int AHigh, bool AUseFill, vcl::TColor AColor);
// The background and border of an editor from its view info.
void cxEditDrawBackground(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, bool AFillBackground);
int cxEditCalculateButtonWidth(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButtonViewInfo);
// The left and right content margins of a themed button together; 4
// without the theme.
int cxEditGetNativeButtonContentOffset(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButtonViewInfo);
int cxEditButtonsVerticalMargin(TcxCanvas* ACanvas, TcxEditButtonStyle AButtonsStyle, bool ANativeStyle);
// 1 for an in-place editor whose properties have a button, else 0.
int cxEditInnerHeightCorrection(TcxCustomEditProperties* AProperties, bool AIsInplace);
vcl::TColor cxEditHotBorderColor(bool AIsOffice11Style);
vcl::TColor cxEditButtonStyleColor(bool APressed, bool AIsOffice11Style);
bool cxEditHasShadow(TcxCustomEditViewData* AViewData);
bool cxEditCharIsDigit(wchar_t C);
void cxEditMapFlagBit(unsigned AInputFlags, unsigned& AOutputFlags, unsigned AInputFlag, unsigned AOutputFlag);
// The library's text-output flags (cxAlignLeft ...) to DrawText flags and
// back; bits without a counterpart are dropped.
unsigned cxConvertTextOutFlags(unsigned AFlags);
unsigned cxConvertDrawTextFlags(unsigned AFlags);

// ---------------------------------------------------------------------------
// Events of the view data and view info

using TcxEditGetDefaultButtonWidthEvent =
    rtl::TMethod<void(TcxCustomEditViewData* Sender, int AButtonIndex, int& AWidth)>;
using TcxEditViewDataGetDisplayTextEvent = rtl::TMethod<void(TcxCustomEditViewData* Sender, rtl::String& AText)>;

using TcxEditCanvasNotifyEvent = rtl::TMethod<void(TcxCanvas* ACanvas)>;
using TcxEditCalculateEditorBoundsEvent = rtl::TMethod<void(TcxCustomEditViewInfo* Sender, TRect& ABounds)>;
using TcxEditCanDrawEditValueEvent = rtl::TMethod<void(TcxCustomEditViewInfo* Sender, bool& AAllow)>;
using TcxEditCanStartButtonFadingEvent = rtl::TMethod<void(TcxCustomEditViewInfo* Sender, bool& AAllow)>;
using TcxEditDrawBackgroundEvent =
    rtl::TMethod<void(TcxCustomEditViewInfo* Sender, TcxCanvas* ACanvas, bool& AHandled)>;
using TcxEditDrawButtonEvent = rtl::TMethod<void(TcxEditButtonViewInfo* Sender, TcxCanvas* ACanvas, bool& AHandled)>;
using TcxEditDrawButtonBackgroundEvent =
    rtl::TMethod<void(TcxEditButtonViewInfo* Sender, TcxCanvas* ACanvas, const TRect& R, bool& AHandled)>;
using TcxEditDrawButtonBorderEvent = rtl::TMethod<void(TcxEditButtonViewInfo* Sender, TcxCanvas* ACanvas,
                                                       TRect& ABackgroundRect, TRect& AContentRect, bool& AHandled)>;
using TcxEditGetButtonContentColorEvent = rtl::TMethod<void(TcxEditButtonViewInfo* Sender, vcl::TColor& AColor)>;
using TcxEditGetButtonStateEvent = rtl::TMethod<void(TcxEditButtonViewInfo* Sender, TcxEditButtonState& AState)>;
using TcxEditPaintEvent = rtl::TMethod<void(TcxCustomEditViewInfo* Sender, TcxCanvas* ACanvas)>;
using TcxEditPrepareButtonFadingImageEvent =
    rtl::TMethod<void(TcxEditButtonViewInfo* Sender, TcxEditButtonState AState, TcxBitmap32*& ABitmap,
                      bool& AHandled)>;

// ---------------------------------------------------------------------------
// TcxEditButtonViewInfo

// What the view data fills in for one visible button.
struct TcxEditButtonViewInfoData {
  TcxEditButtonActionLink* ActionLink;
  vcl::TColor BackgroundColor;
  rtl::String Caption;
  rtl::TAlignment ContentAlignment;
  bool Default;
  bool Gradient;
  rtl::String Hint;
  bool IsInplace;
  TcxEditButtonKind Kind;
  bool LeftAlignment;
  bool Leftmost;
  bool NativeStyle;
  bool Rightmost;
  TcxEditButtonState State;
  TcxEditButtonStyle Style;
  vcl::TColor TextColor;
  bool Transparent;
  rtl::String VisibleCaption;
  bool BackgroundPartiallyTransparent;
  bool ComboBoxStyle;
  int NativePart;
  int NativeState;
  bool UseSkins;
};

// Fading of an editor part through the editor that owns its view info.
class TcxCustomEditFadingHelper : public TdxFadingObjectHelper {
  RTL_CLASS(TcxCustomEditFadingHelper, TdxFadingObjectHelper)

 public:
  // The editor of the view info, else the view info's owner when it is an
  // edit owner; nil otherwise.
  rtl::IPtr<IcxEditOwner> GetEditOwner();
  virtual TcxCustomEditViewInfo* GetEditViewInfo() = 0;
  virtual void Invalidate() = 0;

 protected:
  void Invalidate(const TRect& R, bool AEraseBackground);
};

class TcxEditButtonFadingHelper : public TcxCustomEditFadingHelper {
  RTL_CLASS(TcxEditButtonFadingHelper, TcxCustomEditFadingHelper)

 public:
  using TcxCustomEditFadingHelper::Invalidate;

  virtual void Create(TcxEditButtonViewInfo* AViewInfo);
  TcxCustomEditViewInfo* GetEditViewInfo() override;
  void Invalidate() override;
  virtual void PaintButton(TcxCanvas* ACanvas);
  virtual TRect ButtonRect();
  // The button drawn in AState on a new 32-bit bitmap of ButtonRect's size;
  // the caller owns it.
  virtual TcxBitmap32* RenderButtonState(TcxEditButtonState AState);
  // Starts or stops a fade when the button's state changed since last seen.
  virtual void UpdateState();

  bool __stdcall FadingCanFade() override;
  void __stdcall FadingRepaint() override { Invalidate(); }
  void __stdcall FadingGetImages(TcxBitmap32*& AFadeOutImage, TcxBitmap32*& AFadeInImage) override;

  TcxEditButtonViewInfo* GetViewInfo() const { return FViewInfo; }

 private:
  TcxEditButtonState FState;
  TcxEditButtonViewInfo* FViewInfo;
};

class TcxEditButtonViewInfo : public rtl::TPersistent {
  RTL_CLASS(TcxEditButtonViewInfo, rtl::TPersistent)

 public:
  virtual void Create();
  void AfterConstruction() override;
  void Destroy() override;
  // From another button view info: Data.NativeState, Data.BackgroundColor,
  // Bounds, Data.Style and Data.State only.
  void Assign(rtl::TPersistent* Source) override;

  virtual TcxEditButtonFadingHelper* CreateFadingHelper();
  // Empty when the look equals AViewInfo's, else Bounds; the caller owns it.
  virtual TcxRegion* GetUpdateRegion(TcxEditButtonViewInfo* AViewInfo);
  // Invalidates Bounds (moved by AEditPosition) on AControl when the look
  // differs from AViewInfo's or a fade runs; whether it did.
  virtual bool Repaint(vcl::TWinControl* AControl, TcxEditButtonViewInfo* AViewInfo, const TPoint& AEditPosition);

  TdxScaleFactor* GetScaleFactor();
  // The look that decides a repaint equals AViewInfo's.
  bool SameLook(const TcxEditButtonViewInfo* AViewInfo) const;

  TRect Bounds;
  int ButtonIndex;
  int ButtonVisibleIndex;
  TcxEditButtonViewInfoData Data;
  TcxCustomEditViewInfo* EditViewInfo;
  TcxEditButtonFadingHelper* FadingHelper;
  TdxSmartGlyph* Glyph;
  bool HasBackground;
  int ImageIndex;
  vcl::TCustomImageList* Images;
  bool Stretchable;
  TRect VisibleBounds;
  int Width;
};

using TcxEditButtonViewInfoClass = rtl::ClassOf<TcxEditButtonViewInfo>;

// ---------------------------------------------------------------------------
// TcxCustomEditViewInfo

class TcxCustomEditViewInfo : public TcxContainerViewInfo {
  RTL_CLASS(TcxCustomEditViewInfo, TcxContainerViewInfo)

 public:
  // Hit parts besides the buttons' visible indexes.
  static constexpr int ehtBody = -1;
  static constexpr int ehtErrorIcon = -2;
  static constexpr int ehtNone = -3;

  void Create() override;
  void Destroy() override;

  // The two slots nothing calls.
  virtual bool GetReserved() { return false; }
  virtual void SetReserved(int, int) {}
  virtual TcxEditBackgroundPaintingStyle BackgroundPaintingStyle() { return TcxEditBackgroundPaintingStyle::bpsSolid; }
  virtual TcxEditButtonViewInfoClass ButtonViewInfoClass();
  virtual void GetEditorColors(vcl::TColor& AColor, vcl::TColor& ATextColor);
  virtual rtl::String GetPartHint(int APart);
  // The part under P (relative to Left, Top): a button's visible index,
  // ehtErrorIcon, ehtBody or ehtNone.
  virtual int GetHitTestPart(const TPoint& P);
  virtual TRect GetPartBounds(int APart);
  virtual bool RepaintOnStateChange() { return true; }
  virtual void DrawDefaultButton(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButtonViewInfo);
  virtual void SetOnDrawBackground(TcxEditDrawBackgroundEvent AValue) { FOnDrawBackground = AValue; }
  virtual void StoreLastButtonStates();
  virtual void Draw3DButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo, TRect& ARect,
                                  TRect& AContentRect, vcl::TColor& ABrushColor);
  virtual void DrawFlatButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo, TRect& ARect,
                                    TRect& AContentRect, vcl::TColor& ABrushColor);
  virtual void DrawHotFlatButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo, TRect& ARect,
                                       TRect& AContentRect, vcl::TColor& APenColor, vcl::TColor& ABrushColor);
  virtual void CalculateNativeButtonContentRect(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo,
                                                const TRect& ARect, TRect& AContentRect);
  virtual void DrawSimpleButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo, TRect& ARect,
                                      TRect& AContentRect, vcl::TColor& ABrushColor);
  virtual void DrawUltraFlatButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo, TRect& ARect,
                                         TRect& AContentRect, vcl::TColor& ABrushColor, bool AIsOffice11Style);
  virtual void DrawNativeButtonBackground(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo, const TRect& ARect);
  virtual void DrawDefaultButtonBackground(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo, const TRect& ARect,
                                           vcl::TColor ABrushColor);
  virtual bool CanDrawEditValue();
  virtual void DrawNativeStyleEditBackground(TcxCanvas* ACanvas, bool ADrawBackground, HBRUSH ABackgroundBrush);
  virtual void DrawButton(TcxCanvas* ACanvas, int AButtonVisibleIndex);
  virtual void DrawButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo, TRect& ARect,
                                TRect& AContentRect, vcl::TColor& APenColor, vcl::TColor& ABrushColor);
  virtual void DrawButtonContent(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo, const TRect& AContentRect,
                                 vcl::TColor APenColor, vcl::TColor ABrushColor, bool ANeedOffsetContent);
  virtual bool IsBackgroundPartiallyTransparent();
  virtual bool IsFadingAvailable();
  // Some button is hot.
  virtual bool IsHotTrack();
  // P (relative to Left, Top) lies on a button.
  virtual bool IsHotTrack(const TPoint& P);
  // The hint of the button or error icon at P: its text and window
  // rectangle; False elsewhere.
  virtual bool NeedShowHint(TcxCanvas* ACanvas, const TPoint& P, const TRect& AVisibleBounds, rtl::String& AText,
                            bool& AIsMultiLine, TRect& ATextRect, int AMaxLineCount = 0);
  virtual void PrepareCanvasFont(TcxCanvas*) {}
  virtual bool Repaint(vcl::TWinControl* AControl, TcxContainerViewInfo* AViewInfo = nullptr);
  // Redraws what changed against AViewInfo (nil: the frame band around
  // AInnerEditRect); True when a band or a button was redrawn.
  virtual bool Repaint(vcl::TWinControl* AControl, const TRect& AInnerEditRect,
                       TcxContainerViewInfo* AViewInfo = nullptr);

  // TcxContainerViewInfo
  void Assign(rtl::TObject* Source) override;
  TcxRegion* GetUpdateRegion(TcxContainerViewInfo* AViewInfo) override;
  void Offset(int DX, int DY) override;
  void Paint(TcxCanvas* ACanvas) override;
  void InternalPaint(TcxCanvas* ACanvas) override;
  TcxContainerBorderStyle GetContainerBorderStyle() override;
  void SetBackgroundColor(vcl::TColor AValue) override;

  // Paints with the canvas window origin moved by (-Left, -Top).
  void PaintEx(TcxCanvas* ACanvas);
  // In place, the OnDrawBackground handler drew the background.
  bool DrawBackground(TcxCanvas* ACanvas);
  bool DrawBackground(TcxCanvas* ACanvas, const TPoint& APos);
  void DrawCustomEdit(TcxCanvas* ACanvas, bool ACanDrawBackground, bool ACanDrawValidationMark);
  // The background of ARect as its kind asks (AGlyphRect left out unless the
  // glyph is transparent).
  void DrawEditBackground(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AGlyphRect, bool AGlyphTransparent);
  void DrawButtons(TcxCanvas* ACanvas);
  // Answers the old (Left, Top) and sets the new.
  TPoint SetOrigin(const TPoint& APoint);
  // Frees surplus button view infos from the end or makes missing ones.
  void SetButtonCount(int ACount);
  void ResetValidationInfo();
  // The four customisation queries: the handler answers with a nil canvas.
  bool IsCustomBackground();
  bool IsCustomButton(int AButtonVisibleIndex = 0);
  bool IsCustomButtonBackground(int AButtonVisibleIndex = 0);
  bool IsCustomButtonBorder(int AButtonVisibleIndex = 0);
  bool IsCustomDrawButton(int AButtonVisibleIndex = 0);
  bool IsBackgroundTransparent();
  // The pressed or selected button changed since StoreLastButtonStates.
  bool IsButtonStateChanged() const;
  bool CanStartButtonFading();

  int GetButtonCount() const { return static_cast<int>(ButtonsInfo.size()); }
  TcxCustomEdit* GetEdit() const { return FEdit; }
  void SetEdit(TcxCustomEdit* AValue) { FEdit = AValue; }
  TdxScaleFactor* GetScaleFactor() const;
  const TRect& GetEditorBounds() const { return FEditorBounds; }
  void SetEditorBounds(const TRect& AValue) { FEditorBounds = AValue; }
  const TRect& GetErrorBounds() const { return FErrorBounds; }
  void SetErrorBounds(const TRect& AValue) { FErrorBounds = AValue; }
  TcxEditValidateInfo* GetErrorData() const { return FErrorData; }
  bool GetNeedShowErrorIcon() const { return FNeedShowErrorIcon; }
  void SetNeedShowErrorIcon(bool AValue) { FNeedShowErrorIcon = AValue; }
  TcxEditViewInfoStates GetState() const { return FState; }
  TcxEditDrawBackgroundEvent GetOnDrawBackground() const { return FOnDrawBackground; }

  TdxMulticastMethod<TcxEditCanvasNotifyEvent> OnAfterDrawBackground;
  TdxMulticastMethod<TcxEditCanvasNotifyEvent> OnAfterDrawValue;
  TdxMulticastMethod<TcxEditCalculateEditorBoundsEvent> OnCalculateEditorBounds;
  TdxMulticastMethod<TcxEditCanDrawEditValueEvent> OnCanDrawEditValue;
  TcxEditCanStartButtonFadingEvent OnCanStartButtonFading;
  TcxEditDrawButtonEvent OnDrawButton;
  TcxEditDrawButtonBackgroundEvent OnDrawButtonBackground;
  TcxEditDrawButtonBorderEvent OnDrawButtonBorder;
  TcxEditGetButtonContentColorEvent OnGetButtonContentColor;
  TcxEditGetButtonStateEvent OnGetButtonState;
  TcxEditPaintEvent OnPaint;
  TcxEditPrepareButtonFadingImageEvent OnPrepareButtonFadingImage;

  TRect BorderExtent;
  // The editor's border style; the container's BorderStyle follows it.
  TcxEditBorderStyle BorderStyle;
  std::vector<TcxEditButtonViewInfo*> ButtonsInfo;
  TcxCustomEditProperties* EditProperties;
  int Data;
  bool Enabled;
  bool Focused;
  bool HasBackground;
  bool HasContentOffsets;
  bool HasInnerEdit;
  bool HasTextButtons;
  int HitTestInfo;
  TRect InnerEditRect;
  bool IsButtonReallyPressed;
  bool IsContainerInnerControl;
  bool IsDBEditPaintCopyDrawing;
  bool IsDesigning;
  bool IsInplace;
  bool IsSelected;
  int LastPressedButton;
  int LastSelectedButton;
  int Left;
  TcxEditPaintOptions PaintOptions;
  TcxEditPopupBorderStyle PopupBorderStyle;
  int PressedButton;
  int SelectedButton;
  TRect ShadowRect;
  vcl::TColor TextColor;
  int Top;
  bool Transparent;
  HWND WindowHandle;
  bool UseRightToLeftAlignment;

 protected:
  // The background kind of DrawEditBackground (see there).
  enum class TBackgroundKind { Custom, Frame, None, Fill, ParentBackground, OwnParentBackground };
  TBackgroundKind GetBackgroundKind();
  void DrawValidationMark(TcxCanvas* ACanvas);
  void DrawButtonBackground(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo, const TRect& ARect,
                            const TRect& AContentRect, vcl::TColor ABrushColor);
  // The stand-alone editor's parent background into R.
  void DrawParentBackground(TcxCanvas* ACanvas, const TRect& R);
  bool RedrawBand(vcl::TWinControl* AControl, const TRect& AOuter, const TRect& AInner);
  // The button contents without skins, by kind.
  void DrawEllipsisContent(TcxCanvas* ACanvas, const TRect& AContentRect, vcl::TColor APenColor, bool AEnabled,
                           bool AOffset);
  void DrawDownContent(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo, const TRect& AContentRect,
                       vcl::TColor APenColor, bool AEnabled, bool AOffset);
  void DrawGlyphContent(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo, const TRect& AContentRect,
                        bool AOffset);
  void DrawTextContent(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo, const TRect& AContentRect,
                       vcl::TColor APenColor, bool AOffset);

 public:
  // The editor, nil without one, as the object and the window it is.
  rtl::TObject* EditObject() const;
  vcl::TWinControl* EditControl() const;
  // The editor as the owner that button fades go through: the editor, else
  // the view info's Owner when it is one.
  rtl::IPtr<IcxEditOwner> GetEditOwner() const;

 private:
  friend class TcxCustomEditViewData;

  // What painting asks of the editor.
  bool EditorUsesParentBackground() const;
  bool EditorPaintsButtons() const;
  bool EditorOffsetsButtonContent() const;
  bool EditorNeedsErase(vcl::TWinControl* AControl) const;

  TdxOwnedScaleFactor* FScaleFactor;
  TcxEditDrawBackgroundEvent FOnDrawBackground;
  TcxCustomEdit* FEdit;
  TcxEditViewInfoStates FState;
  TRect FErrorBounds;
  TRect FEditorBounds;
  TcxEditValidateInfo* FErrorData;
  bool FNeedShowErrorIcon;
};

// ---------------------------------------------------------------------------
// TcxCustomEditViewData

class TcxCustomEditViewData : public rtl::TPersistent {
  RTL_CLASS(TcxCustomEditViewData, rtl::TPersistent)

 public:
  virtual void Create(TcxCustomEditProperties* AProperties, bool AIsInplace, TcxCustomEditStyle* AStyle);
  void Destroy() override;

  // Virtual operations, in the order descendants meet them.
  virtual void UpdateButtonNativeInfo(TcxEditButtonViewInfo* AViewInfo);
  virtual void UpdateButtonNativePart(TcxEditButtonViewInfo* AViewInfo, HTHEME ATheme);
  virtual HTHEME ButtonTheme(TcxEditButtonViewInfo* AViewInfo);
  virtual TcxEditPaintOptions GetPaintOptions();
  virtual bool CanPressButton(TcxCustomEditViewInfo*, int) { return true; }
  virtual TcxContainerState CalculateContainerState(const TRect& ABounds, const TPoint& P, TcxMouseButton Button,
                                                    vcl::TShiftState Shift);
  virtual TRect GetContentOffsets();
  virtual int GetEditNativeState(TcxCustomEditViewInfo* AViewInfo);
  virtual void InitData();
  virtual void InitEditContentParams(TcxEditContentParams& AParams);
  virtual void InitCacheData();
  virtual rtl::Variant EditValueToDisplayValue(const rtl::Variant&) { return rtl::Variant(rtl::String()); }
  virtual void CalculateConstantPartSize(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, TSize& AConstantPart,
                                         TSize& MinContentSize);
  virtual TSize CalculateValueContentSize(TcxCanvas*, const rtl::Variant&, const TcxEditSizeProperties&)
  {
    return TSize{0, 0};
  }
  virtual bool IsButtonPressedByOwner(TcxEditButtonViewInfo*) { return false; }
  virtual void Calculate(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, TcxMouseButton Button,
                         vcl::TShiftState Shift, TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent);
  virtual void CalculateButtonBounds(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, int AButtonVisibleIndex,
                                     TRect& ButtonsRect);
  virtual void CalculateButtonsViewInfo(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P,
                                        TcxMouseButton Button, vcl::TShiftState Shift,
                                        TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent);
  virtual void CalculateButtonViewInfo(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, int AButtonVisibleIndex,
                                       TRect& ButtonsRect);
  virtual void DoCalculateButtonViewInfos(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, TRect& ButtonsRect);
  // Buttons-only layout: the stretchable buttons share the width left.
  virtual void CheckButtonsOnly(TcxCustomEditViewInfo* AViewInfo, int APrevButtonsWidth, int AButtonsWidth);
  virtual void CheckStartButtonsFading(TcxCustomEditViewInfo* AViewInfo);
  virtual void DoRightToLeftConversion(TcxCustomEditViewInfo*, const TRect&) {}
  virtual void EditValueToDrawValue(const rtl::Variant&, TcxCustomEditViewInfo*) {}
  virtual void InitializeButtonInfo(TcxCustomEditViewInfo* AViewInfo, int AButtonVisibleIndex);
  virtual vcl::TColor GetBorderColor();
  virtual vcl::TColor GetBorderColorByPainter(bool AIsHighlight);
  virtual TRect GetBorderExtent();
  virtual TRect GetBorderExtentByEdges(int ABorderWidth);
  virtual TRect GetBorderExtentByPainter();
  virtual TcxEditBorderStyle GetBorderStyle();
  virtual TRect GetButtonsExtent(TcxCanvas* ACanvas);
  virtual TRect GetClientExtent(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo);
  virtual TSize GetEditConstantPartSize(TcxCanvas* ACanvas, const TcxEditSizeProperties& AEditSizeProperties,
                                        TSize& MinContentSize, TcxCustomEditViewInfo* AViewInfo = nullptr);
  virtual TSize GetEditContentSize(TcxCanvas* ACanvas, const rtl::Variant& AEditValue,
                                   const TcxEditSizeProperties& AEditSizeProperties,
                                   TcxEditValidateInfo* AErrorData = nullptr);
  virtual TSize GetEditingContentSize(TcxCanvas* ACanvas, const rtl::Variant& AEditValue,
                                      const TcxEditSizeProperties& AEditSizeProperties);
  virtual TSize GetEditContentSizeCorrection();
  virtual bool HasShadow();
  virtual bool IgnoreButtonWhileStretching(int) { return false; }
  virtual bool IsButtonLeftAligned(TcxCustomEditButton* AButton);
  virtual bool IsNativeStyle(TcxLookAndFeel* ALookAndFeel);

  // Calculate for ABounds moved to the origin; the view info keeps ABounds'
  // top-left as its Left and Top.
  void CalculateEx(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, TcxMouseButton Button,
                   vcl::TShiftState Shift, TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent);
  TSize GetEditSize(TcxCanvas* ACanvas, const rtl::Variant& AEditValue, TcxEditSizeProperties AEditSizeProperties,
                    TcxCustomEditViewInfo* AViewInfo = nullptr);
  TSize GetEditingSize(TcxCanvas* ACanvas, const rtl::Variant& AEditValue, TcxEditSizeProperties AEditSizeProperties,
                       TcxCustomEditViewInfo* AViewInfo = nullptr);
  rtl::String EditValueToDisplayText(const rtl::Variant& AEditValue);
  TcxCustomEditStyle* Style() const { return FStyle; }
  // The effective style of the buttons for the style and look and feel.
  TcxEditButtonStyle GetButtonsStyle();

  TcxCustomEditProperties* GetProperties() const { return FProperties; }
  TcxCustomEdit* GetEdit() const { return FEdit; }
  void SetEdit(TcxCustomEdit* AValue) { FEdit = AValue; }
  void SetStyle(TcxCustomEditStyle* AValue) { FStyle = AValue; }
  bool GetIsInplace() const { return FIsInplace; }
  TdxScaleFactor* GetScaleFactor() const;
  rtl::TObject* GetData() const { return FData; }
  void SetData(rtl::TObject* AValue) { FData = AValue; }
  TcxEditGetDefaultButtonWidthEvent GetOnGetDefaultButtonWidth() const { return FOnGetDefaultButtonWidth; }
  void SetOnGetDefaultButtonWidth(TcxEditGetDefaultButtonWidthEvent AValue) { FOnGetDefaultButtonWidth = AValue; }
  TcxEditViewDataGetDisplayTextEvent GetOnGetDisplayText() const { return FOnGetDisplayText; }
  void SetOnGetDisplayText(TcxEditViewDataGetDisplayTextEvent AValue) { FOnGetDisplayText = AValue; }

  bool ButtonsOnlyStyle;
  int ButtonVisibleCount;
  TcxContainerState ContainerState;
  TRect ContentOffset;
  TcxEditContentParams EditContentParams;
  bool Enabled;
  bool Focused;
  rtl::TAlignment HorzAlignment;
  IcxControlScrollBar* HScrollBar;
  IcxCustomInnerEdit* InnerEdit;
  TcxInplaceEditParams InplaceEditParams;
  bool IsDesigning;
  bool IsSelected;
  bool IsTouchScrollUIMode;
  bool IsValueSource;
  int MaxLineCount;
  bool NativeStyle;
  TcxEditPaintOptions PaintOptions;
  bool PreviewMode;
  bool Selected;
  int SelStart;
  int SelLength;
  vcl::TColor SelTextColor;
  vcl::TColor SelBackgroundColor;
  bool SupportsTouchMode;
  bool UseRightToLeftAlignment;
  bool UseRightToLeftReading;
  bool UseRightToLeftScrollBar;
  TcxEditVertAlignment VertAlignment;
  IcxControlScrollBar* VScrollBar;
  HWND WindowHandle;

 protected:
  // The steps of Calculate.
  void CalculateState(const TRect& ABounds, const TPoint& P, TcxMouseButton Button, vcl::TShiftState Shift,
                      TcxCustomEditViewInfo* AViewInfo);
  void CalculateValidationInfo(TcxCustomEditViewInfo* AViewInfo);
  void CalculateBasicLayout(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo);
  void CalculateColors(TcxCustomEditViewInfo* AViewInfo);
  void CalculateButtonStates(TcxCustomEditViewInfo* AViewInfo, const TPoint& P, TcxMouseButton Button,
                             vcl::TShiftState Shift, int APrevPressedButton);
  void CalculateButtonSideFlags(TcxCustomEditViewInfo* AViewInfo);
  void CalculatePopupBorderStyle(TcxCustomEditViewInfo* AViewInfo);
  int GetErrorIconWidth();
  TSize ApplyConstraints(const TSize& ASize);

  TcxEditBorderStyle FBorderStyle;

 private:
  // What the calculation asks of the editor (FEdit, not nil unless said).
  bool EditorHasBackground() const;
  bool EditorIsPaintCopyDrawing() const;
  bool EditorIsContainerInnerControl() const;
  bool EditorHasMouseCapture() const;
  bool EditorTransparent() const;
  bool EditorUsesStyleColor() const;
  bool EditorHasValidationError() const;
  rtl::String EditorValidationErrorText() const;
  int EditorCaptureButtonVisibleIndex() const;
  TRect EditorVisibleBounds() const;
  TcxCustomEditStyle* EditorCurrentStyle() const;
  // FEdit may be nil for these.
  bool InnerEditVisible() const;
  TRect InnerEditBounds() const;
  // A view info of the properties' class for a size query; the caller owns
  // it.
  TcxCustomEditViewInfo* CreateSizeViewInfo() const;

  rtl::TObject* FData;
  bool FIsInplace;
  int FLeftSideLeftmostButtonIndex;
  int FLeftSideRightmostButtonIndex;
  int FRightSideLeftmostButtonIndex;
  int FRightSideRightmostButtonIndex;
  TdxOwnedScaleFactor* FScaleFactor;
  TLeftRight FValidationErrorIconAlignment;
  TcxEditGetDefaultButtonWidthEvent FOnGetDefaultButtonWidth;
  TcxEditViewDataGetDisplayTextEvent FOnGetDisplayText;
  TcxCustomEdit* FEdit;
  TcxCustomEditProperties* FProperties;
  TcxCustomEditStyle* FStyle;
};
