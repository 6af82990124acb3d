#include "controls/cxContainer.h"

#include <algorithm>

#include "core/dxCore.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphicsControls.h"
#include "platform/rtl/ClassesFiler.h"
#include "platform/rtl/SysUtils.h"

namespace {

using vcl::TColor;

TcxStyleController* GDefaultStyleController = nullptr;

using TGetScrollBarInfoFunc = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
TGetScrollBarInfoFunc GGetScrollBarInfo = nullptr;
// The binding of the start-up; a test may hide it.
TGetScrollBarInfoFunc GBoundGetScrollBarInfo = nullptr;

void cxBindGetScrollBarInfo()
{
  if (HMODULE AUser32 = GetModuleHandleW(L"user32.dll"))
    GBoundGetScrollBarInfo =
        reinterpret_cast<TGetScrollBarInfoFunc>(reinterpret_cast<void*>(GetProcAddress(AUser32, "GetScrollBarInfo")));
  GGetScrollBarInfo = GBoundGetScrollBarInfo;
}

void cxContainerInitialization()
{
  cxBindGetScrollBarInfo();
  rtl::GroupDescendentsWith(rtl::TPersistentClass::Of<TcxStyleController>(),
                            rtl::TPersistentClass::Of<vcl::TControl>());
}

void cxContainerFinalization()
{
  GGetScrollBarInfo = nullptr;
  GBoundGetScrollBarInfo = nullptr;
}

constexpr const wchar_t* StyleValueNames[] = {L"BorderColor", L"BorderStyle", L"Color",     L"Edges",
                                              L"Font",        L"HotTrack",    L"Shadow",    L"TextColor",
                                              L"TextStyle",   L"TransparentBorder"};
constexpr int BaseStyleValueCount = 10;

// The border style of the focused, disabled and hot styles for each border
// style of the normal style (columns in the order of TcxContainerBorderStyle).
using TBorderStyleRow = std::array<TcxContainerBorderStyle, 7>;
constexpr TBorderStyleRow SameBorderStyles = {
    TcxContainerBorderStyle::cbsNone, TcxContainerBorderStyle::cbsSingle,    TcxContainerBorderStyle::cbsThick,
    TcxContainerBorderStyle::cbsFlat, TcxContainerBorderStyle::cbs3D,        TcxContainerBorderStyle::cbsUltraFlat,
    TcxContainerBorderStyle::cbsOffice11};
constexpr TBorderStyleRow HighlightedBorderStyles = {
    TcxContainerBorderStyle::cbsFlat, TcxContainerBorderStyle::cbsThick,     TcxContainerBorderStyle::cbsThick,
    TcxContainerBorderStyle::cbs3D,   TcxContainerBorderStyle::cbs3D,        TcxContainerBorderStyle::cbsUltraFlat,
    TcxContainerBorderStyle::cbsOffice11};

const TBorderStyleRow& BorderStyleRow(TcxContainerStateItem AState)
{
  switch (AState) {
    case TcxContainerStateItem::csActive:
    case TcxContainerStateItem::csHotTrack:
      return HighlightedBorderStyles;
    default:
      return SameBorderStyles;
  }
}

}  // namespace

RTL_UNIT(cxContainer, &cxContainerInitialization, &cxContainerFinalization);

TcxStyleController* cxGetDefaultStyleController()
{
  return GDefaultStyleController;
}

void cxSetDefaultStyleController(TcxStyleController* AValue)
{
  GDefaultStyleController = AValue;
}

namespace {

// What a style needs to know of its container; the container section below
// answers.
bool cxContainerStyleDefaultParentColor(TcxContainer* AContainer);
bool cxContainerStyleParentColor(TcxContainer* AContainer);
bool cxContainerStyleParentFont(TcxContainer* AContainer);
bool cxContainerStyleIsInplace(TcxContainer* AContainer);
// The colour of the container's parent; false without a parent.
bool cxContainerStyleGetParentColor(TcxContainer* AContainer, TColor& AColor);
void cxContainerStyleSetParentColor(TcxContainer* AContainer, bool AValue);
void cxContainerStyleSetParentFont(TcxContainer* AContainer, bool AValue);
bool cxContainerStyleIsPropertyPublished(TcxContainer* AContainer, const rtl::String& AName, bool AExtended);
TcxContainer* cxContainerOf(rtl::TPersistent* AOwner);

}  // namespace

// ---------------------------------------------------------------------------
// TcxContainerStyle

void TcxContainerStyle::Create(rtl::TPersistent* AOwner)
{
  Create(AOwner, false, nullptr, TcxContainerStateItem::csNormal);
}

void TcxContainerStyle::Create(rtl::TPersistent* AOwner, bool ADirectAccessMode, TcxContainerStyle* AParentStyle,
                               TcxContainerStateItem AState)
{
  inherited::Create(AOwner);
  FOwner = AOwner;
  FDirectAccessMode = ADirectAccessMode;
  FState = AState;
  FParentStyle = AState == TcxContainerStateItem::csNormal ? nullptr : AParentStyle;
  FBorderColor = vcl::clDefault;
  FBorderStyle = TcxContainerBorderStyle::cbsNone;
  FEdges = {TcxBorder::bLeft, TcxBorder::bTop, TcxBorder::bRight, TcxBorder::bBottom};
  FHotTrack = true;
  FTransparentBorder = true;
  StyleData = {vcl::clDefault, nullptr, vcl::clDefault};
  if (FDirectAccessMode)
    for (int AValue = 0; AValue < GetStyleValueCount(); ++AValue)
      FAssignedValues.Include(AValue);
  if (IsBaseStyle() && !FDirectAccessMode) {
    StyleData.Font = rtl::New<vcl::TFont>();
    StyleData.Font->SetOnChange(rtl::TNotifyEvent::Bind<&TcxContainerStyle::FontChanged>(this));
  }
  FVisibleFont = rtl::New<vcl::TFont>();
  if (IsBaseStyle()) {
    FLookAndFeel = rtl::New<TcxLookAndFeel>(this);
    FLookAndFeel->SetOnChanged(TcxLookAndFeelChangedEvent::Bind<&TcxContainerStyle::LookAndFeelChanged>(this));
    SetStyleController(GetDefaultStyleController());
  }
}

void TcxContainerStyle::Destroy()
{
  FIsDestroying = true;
  if (IsBaseStyle() && FStyleController)
    FStyleController->RemoveListener(this);
  rtl::FreeAndNil(FLookAndFeel);
  rtl::FreeAndNil(FVisibleFont);
  if (IsBaseStyle() && !FDirectAccessMode)
    rtl::FreeAndNil(StyleData.Font);
  inherited::Destroy();
}

void TcxContainerStyle::Assign(rtl::TPersistent* Source)
{
  if (!rtl::Is<TcxContainerStyle>(Source)) {
    inherited::Assign(Source);
    return;
  }
  auto* ASource = static_cast<TcxContainerStyle*>(Source);
  BeginUpdate();
  try {
    if (IsBaseStyle()) {
      SetStyleController(ASource->GetStyleController());
      SetLookAndFeel(ASource->GetLookAndFeel());
    }
    FBorderColor = ASource->FBorderColor;
    FBorderStyle = ASource->FBorderStyle;
    FEdges = ASource->FEdges;
    FHotTrack = ASource->FHotTrack;
    FShadow = ASource->FShadow;
    FTransparentBorder = ASource->FTransparentBorder;
    StyleData.Color = ASource->StyleData.Color;
    if (FDirectAccessMode) {
      StyleData.Font = ASource->GetFont();
      StyleData.FontColor = ASource->GetTextColor();
    } else {
      if (IsBaseStyle()) {
        StyleData.Font->Assign(ASource->GetFont());
        if (ASource->FDirectAccessMode)
          StyleData.Font->SetColor(ASource->GetTextColor());
      }
      StyleData.FontColor = ASource->GetTextColor();
      FTextStyle = ASource->GetTextStyle();
      FAssignedValues = ASource->FAssignedValues;
    }
    Changed();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TcxContainerStyle::BeginUpdate()
{
  ++FUpdateCount;
}

void TcxContainerStyle::EndUpdate()
{
  if (FUpdateCount > 0)
    --FUpdateCount;
  CheckChanges();
}

bool TcxContainerStyle::GetStyleValue(const rtl::String& APropertyName, TcxContainerStyleValue& StyleValue)
{
  const rtl::String AName = rtl::UpperCase(APropertyName);
  for (int AValue = 0; AValue < GetStyleValueCount(); ++AValue) {
    rtl::String AValueName;
    if (GetStyleValueName(AValue, AValueName) && rtl::UpperCase(AValueName) == AName) {
      StyleValue = AValue;
      return true;
    }
  }
  return false;
}

int TcxContainerStyle::GetStyleValueCount()
{
  return BaseStyleValueCount;
}

bool TcxContainerStyle::GetStyleValueName(TcxContainerStyleValue AStyleValue, rtl::String& StyleValueName)
{
  const bool AKnown = AStyleValue >= 0 && AStyleValue < BaseStyleValueCount;
  StyleValueName = AKnown ? StyleValueNames[AStyleValue] : L"";
  return AKnown;
}

vcl::TFont* TcxContainerStyle::GetVisibleFont()
{
  FVisibleFont->Assign(GetFont());
  FVisibleFont->SetColor(GetTextColor());
  FVisibleFont->SetStyle(GetTextStyle());
  return FVisibleFont;
}

bool TcxContainerStyle::HasBorder()
{
  return IsBaseStyle() || FParentStyle->HasBorder();
}

bool TcxContainerStyle::IsExtendedStylePropertyPublished(const rtl::String& APropertyName)
{
  const rtl::String AName = rtl::UpperCase(APropertyName);
  if (AName == L"LOOKANDFEEL" || AName == L"STYLECONTROLLER")
    return false;
  TcxContainerStyleValue AValue;
  return !GetStyleValue(APropertyName, AValue) || !GetExtendedStyleHiddenValues().Contains(AValue);
}

bool TcxContainerStyle::IsValueAssigned(TcxContainerStyleValue AValue)
{
  if (AValue < 0 || AValue >= BaseStyleValueCount)
    return false;
  return InternalIsValueAssigned(AValue) || FindControllerStyle(AValue) != nullptr;
}

void TcxContainerStyle::RestoreDefaults()
{
  BeginUpdate();
  try {
    FAssignedValues = {};
    if (IsBaseStyle()) {
      FLookAndFeel->Reset();
      if (TcxContainer* AContainer = GetContainer()) {
        cxContainerStyleSetParentColor(AContainer, false);
        cxContainerStyleSetParentFont(AContainer, true);
      } else if (!FDirectAccessMode) {
        ++FFontAssignedValueLockCount;
        cxResetFont(StyleData.Font);
        --FFontAssignedValueLockCount;
      }
      TcxContainer* AContainer = GetContainer();
      TcxStyleController* AController = GetActiveStyleController();
      if (AContainer && cxContainerStyleDefaultParentColor(AContainer) &&
          !(AController && AController->GetStyle()->IsValueAssigned(csvColor)))
        cxContainerStyleSetParentColor(AContainer, true);
    }
    Changed();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

TcxStyleController* TcxContainerStyle::GetActiveStyleController()
{
  return GetBaseStyle()->FStyleController;
}

void TcxContainerStyle::SetAssignedValues(TcxContainerStyleValues AValue)
{
  if (AValue == FAssignedValues)
    return;
  FAssignedValues = AValue;
  if (IsBaseStyle())
    UpdateFont();
  Changed();
}

TcxContainer* TcxContainerStyle::GetContainer()
{
  return cxContainerOf(FOwner);
}

TcxLookAndFeel* TcxContainerStyle::GetLookAndFeel()
{
  return GetBaseStyle()->FLookAndFeel;
}

void TcxContainerStyle::SetLookAndFeel(TcxLookAndFeel* AValue)
{
  GetLookAndFeel()->Assign(AValue);
}

TcxStyleController* TcxContainerStyle::GetStyleController()
{
  TcxStyleController* AController = GetActiveStyleController();
  return AController == GetBaseStyle()->GetDefaultStyleController() ? nullptr : AController;
}

void TcxContainerStyle::SetStyleController(TcxStyleController* AValue)
{
  if (!IsBaseStyle()) {
    FParentStyle->SetStyleController(AValue);
    return;
  }
  TcxStyleController* ADefault = GetDefaultStyleController();
  // The default controller's own styles follow nobody.
  if (ADefault && ADefault == FOwner)
    return;
  if (!AValue)
    AValue = ADefault;
  // A controller on its way out is no place to go.
  if (AValue && AValue->IsDestruction())
    AValue = nullptr;
  // A chain of controllers that leads back here would make every lookup
  // loop; such a controller is refused and the current one stays.
  std::vector<TcxStyleController*> AVisited;
  for (TcxStyleController* AController = AValue; AController; AController = AController->GetStyle()->FStyleController) {
    if (AController->GetStyle() == this || std::ranges::find(AVisited, AController) != AVisited.end())
      return;
    AVisited.push_back(AController);
  }
  if (AValue == FStyleController)
    return;
  if (FStyleController)
    FStyleController->RemoveListener(this);
  FStyleController = AValue;
  if (FStyleController)
    FStyleController->AddListener(this);
  ControllerChangedNotification(FStyleController);
}

// Per-state values: own, then the controller chain's style of the same
// state, then the default.

TColor TcxContainerStyle::GetBorderColor()
{
  if (FDirectAccessMode)
    return vcl::clDefault;
  if (InternalIsValueAssigned(csvBorderColor))
    return FBorderColor;
  if (TcxContainerStyle* AStyle = FindControllerStyle(csvBorderColor))
    return AStyle->FBorderColor;
  return GetDefaultBorderColor();
}

void TcxContainerStyle::SetBorderColor(TColor AValue)
{
  SetOwnValue(FBorderColor, AValue, csvBorderColor, FBorderColor == AValue);
}

TcxContainerBorderStyle TcxContainerStyle::GetBorderStyle()
{
  if (FDirectAccessMode)
    return FDirectSetValues.Contains(csvBorderStyle) ? FBorderStyle : GetDefaultBorderStyle();
  if (InternalIsValueAssigned(csvBorderStyle))
    return FBorderStyle;
  if (TcxContainerStyle* AStyle = FindControllerStyle(csvBorderStyle))
    return AStyle->FBorderStyle;
  return GetDefaultBorderStyle();
}

void TcxContainerStyle::SetBorderStyle(TcxContainerBorderStyle AValue)
{
  if (FDirectAccessMode)
    FDirectSetValues.Include(csvBorderStyle);
  SetOwnValue(FBorderStyle, AValue, csvBorderStyle, FBorderStyle == AValue);
}

TColor TcxContainerStyle::GetColor()
{
  if (FDirectAccessMode)
    return StyleData.Color;
  TColor AParentColor;
  if (IsBaseStyle() && cxContainerStyleParentColor(GetContainer()) &&
      cxContainerStyleGetParentColor(GetContainer(), AParentColor))
    return AParentColor;
  if (InternalIsValueAssigned(csvColor))
    return StyleData.Color;
  if (TcxContainerStyle* AStyle = FindControllerStyle(csvColor))
    return AStyle->StyleData.Color;
  return GetDefaultColor();
}

void TcxContainerStyle::SetColor(TColor AValue)
{
  SetOwnValue(StyleData.Color, AValue, csvColor, StyleData.Color == AValue);
}

TColor TcxContainerStyle::GetTextColor()
{
  if (FDirectAccessMode)
    return StyleData.FontColor;
  if (InternalIsValueAssigned(csvTextColor))
    return StyleData.FontColor;
  if (TcxContainerStyle* AStyle = FindControllerStyle(csvTextColor))
    return AStyle->StyleData.FontColor;
  return GetDefaultTextColor();
}

void TcxContainerStyle::SetTextColor(TColor AValue)
{
  SetOwnValue(StyleData.FontColor, AValue, csvTextColor, GetTextColor() == AValue);
}

vcl::TFontStyles TcxContainerStyle::GetTextStyle()
{
  if (FDirectAccessMode)
    return StyleData.Font ? StyleData.Font->GetStyle() : vcl::TFontStyles();
  if (InternalIsValueAssigned(csvTextStyle))
    return FTextStyle;
  if (TcxContainerStyle* AStyle = FindControllerStyle(csvTextStyle))
    return AStyle->FTextStyle;
  return GetDefaultTextStyle();
}

void TcxContainerStyle::SetTextStyle(vcl::TFontStyles AValue)
{
  SetOwnValue(FTextStyle, AValue, csvTextStyle, GetTextStyle() == AValue);
}

// Values of the normal style only: a state style reads and writes its
// parent's.

TcxBorders TcxContainerStyle::GetEdges()
{
  if (!IsBaseStyle())
    return FParentStyle->GetEdges();
  if (FDirectAccessMode)
    return {};
  if (InternalIsValueAssigned(csvEdges))
    return FEdges;
  if (TcxContainerStyle* AStyle = FindControllerStyle(csvEdges))
    return AStyle->FEdges;
  return GetDefaultEdges();
}

void TcxContainerStyle::SetEdges(TcxBorders AValue)
{
  if (!IsBaseStyle())
    FParentStyle->SetEdges(AValue);
  else
    SetOwnValue(FEdges, AValue, csvEdges, FEdges == AValue);
}

vcl::TFont* TcxContainerStyle::GetFont()
{
  return IsBaseStyle() ? StyleData.Font : FParentStyle->GetFont();
}

void TcxContainerStyle::SetFont(vcl::TFont* AValue)
{
  if (FDirectAccessMode) {
    StyleData.Font = AValue;
    return;
  }
  if (!IsBaseStyle()) {
    FParentStyle->SetFont(AValue);
    return;
  }
  BeginUpdate();
  try {
    StyleData.Font->Assign(AValue);
    FAssignedValues.Include(csvFont);
    Changed();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

bool TcxContainerStyle::GetHotTrack()
{
  if (!IsBaseStyle())
    return FParentStyle->GetHotTrack();
  if (FDirectAccessMode)
    return FDirectSetValues.Contains(csvHotTrack) ? FHotTrack : GetDefaultHotTrack();
  if (InternalIsValueAssigned(csvHotTrack))
    return FHotTrack;
  if (TcxContainerStyle* AStyle = FindControllerStyle(csvHotTrack))
    return AStyle->FHotTrack;
  return GetDefaultHotTrack();
}

void TcxContainerStyle::SetHotTrack(bool AValue)
{
  if (!IsBaseStyle()) {
    FParentStyle->SetHotTrack(AValue);
    return;
  }
  if (FDirectAccessMode)
    FDirectSetValues.Include(csvHotTrack);
  SetOwnValue(FHotTrack, AValue, csvHotTrack, FHotTrack == AValue);
}

bool TcxContainerStyle::GetShadow()
{
  if (!IsBaseStyle())
    return FParentStyle->GetShadow();
  if (FDirectAccessMode)
    return false;
  if (InternalIsValueAssigned(csvShadow))
    return FShadow;
  if (TcxContainerStyle* AStyle = FindControllerStyle(csvShadow))
    return AStyle->FShadow;
  return GetDefaultShadow();
}

void TcxContainerStyle::SetShadow(bool AValue)
{
  if (!IsBaseStyle())
    FParentStyle->SetShadow(AValue);
  else
    SetOwnValue(FShadow, AValue, csvShadow, FShadow == AValue);
}

bool TcxContainerStyle::GetTransparentBorder()
{
  if (!IsBaseStyle())
    return FParentStyle->GetTransparentBorder();
  if (FDirectAccessMode)
    return true;
  if (InternalIsValueAssigned(csvTransparentBorder))
    return FTransparentBorder;
  if (TcxContainerStyle* AStyle = FindControllerStyle(csvTransparentBorder))
    return AStyle->FTransparentBorder;
  return GetDefaultTransparentBorder();
}

void TcxContainerStyle::SetTransparentBorder(bool AValue)
{
  if (!IsBaseStyle())
    FParentStyle->SetTransparentBorder(AValue);
  else
    SetOwnValue(FTransparentBorder, AValue, csvTransparentBorder, FTransparentBorder == AValue);
}

void TcxContainerStyle::Changed()
{
  FModified = true;
  CheckChanges();
}

void TcxContainerStyle::ControllerChangedNotification(TcxStyleController*)
{
  UpdateFont();
  Changed();
}

void TcxContainerStyle::ControllerFreeNotification(TcxStyleController* AController)
{
  if (AController && AController == GetActiveStyleController())
    SetStyleController(nullptr);
}

TColor TcxContainerStyle::GetDefaultBorderColor()
{
  switch (FState) {
    case TcxContainerStateItem::csDisabled:
      return vcl::clBtnShadow;
    case TcxContainerStateItem::csNormal:
      return vcl::clWindowFrame;
    default:
      return FParentStyle->GetBorderColor();
  }
}

TcxContainerBorderStyle TcxContainerStyle::GetDefaultBorderStyle()
{
  if (IsBaseStyle()) {
    switch (GetLookAndFeel()->GetKind()) {
      case TcxLookAndFeelKind::lfFlat:
        return TcxContainerBorderStyle::cbsFlat;
      case TcxLookAndFeelKind::lfStandard:
        return TcxContainerBorderStyle::cbs3D;
      case TcxLookAndFeelKind::lfOffice11:
        return TcxContainerBorderStyle::cbsOffice11;
      default:
        return TcxContainerBorderStyle::cbsUltraFlat;
    }
  }
  // Only a hot-tracking style, or the disabled one, gets its own row.
  const TcxContainerStateItem ARow =
      GetHotTrack() || FState == TcxContainerStateItem::csDisabled ? FState : TcxContainerStateItem::csNormal;
  return BorderStyleRow(ARow)[FParentStyle->GetBorderStyle()];
}

TColor TcxContainerStyle::GetDefaultColor()
{
  TcxContainer* AContainer = GetBaseStyle()->GetContainer();
  const bool AWindowColored = AContainer && !cxContainerStyleDefaultParentColor(AContainer);
  switch (FState) {
    case TcxContainerStateItem::csNormal:
      return AWindowColored ? vcl::clWindow : vcl::clBtnFace;
    case TcxContainerStateItem::csDisabled:
      return AWindowColored ? vcl::clBtnFace : FParentStyle->GetColor();
    default:
      return FParentStyle->GetColor();
  }
}

TColor TcxContainerStyle::GetDefaultDisabledTextColor()
{
  return vcl::clBtnShadow;
}

TcxBorders TcxContainerStyle::GetDefaultEdges()
{
  return {TcxBorder::bLeft, TcxBorder::bTop, TcxBorder::bRight, TcxBorder::bBottom};
}

bool TcxContainerStyle::GetDefaultHotTrack()
{
  return true;
}

bool TcxContainerStyle::GetDefaultShadow()
{
  return false;
}

TColor TcxContainerStyle::GetDefaultTextColor()
{
  switch (FState) {
    case TcxContainerStateItem::csDisabled:
      return GetDefaultDisabledTextColor();
    case TcxContainerStateItem::csNormal:
      return StyleData.Font ? StyleData.Font->GetColor() : vcl::clWindowText;
    default:
      return FParentStyle->GetTextColor();
  }
}

vcl::TFontStyles TcxContainerStyle::GetDefaultTextStyle()
{
  if (IsBaseStyle())
    return StyleData.Font ? StyleData.Font->GetStyle() : vcl::TFontStyles();
  return FParentStyle->GetTextStyle();
}

bool TcxContainerStyle::GetDefaultTransparentBorder()
{
  return true;
}

void TcxContainerStyle::FontChanged(rtl::TObject*)
{
  if (FFontAssignedValueLockCount == 0)
    FAssignedValues.Include(csvFont);
  Changed();
}

TcxStyleController* TcxContainerStyle::GetDefaultStyleController()
{
  return cxGetDefaultStyleController();
}

TColor TcxContainerStyle::GetContainerColor()
{
  if (FDirectAccessMode)
    return StyleData.Color;
  if (InternalIsValueAssigned(csvColor))
    return StyleData.Color;
  if (TcxContainerStyle* AStyle = FindControllerStyle(csvColor))
    return AStyle->StyleData.Color;
  TcxContainer* AContainer = GetContainer();
  TColor AParentColor;
  if (IsBaseStyle() && AContainer && !cxContainerStyleIsInplace(AContainer) &&
      cxContainerStyleParentColor(AContainer) && cxContainerStyleGetParentColor(AContainer, AParentColor))
    return AParentColor;
  return GetDefaultColor();
}

TcxContainerStyleValues TcxContainerStyle::GetExtendedStyleHiddenValues()
{
  return {csvEdges, csvFont, csvHotTrack, csvShadow, csvTransparentBorder};
}

void TcxContainerStyle::DefineProperties(rtl::TFiler* Filer)
{
  inherited::DefineProperties(Filer);
  bool AHasData = IsFontStored();
  if (AHasData && rtl::Is<TcxContainerStyle>(Filer->GetAncestor())) {
    vcl::TFont* AAncestorFont = static_cast<TcxContainerStyle*>(Filer->GetAncestor())->GetFont();
    AHasData = !AAncestorFont || AAncestorFont->GetHandle() != GetFont()->GetHandle();
  }
  Filer->DefineProperty(L"IsFontAssigned", rtl::TReaderProc::Bind<&TcxContainerStyle::ReadIsFontAssigned>(this),
                        rtl::TWriterProc::Bind<&TcxContainerStyle::WriteIsFontAssigned>(this), AHasData);
}

TcxContainerStyle* TcxContainerStyle::FindControllerStyle(TcxContainerStyleValue AValue)
{
  // The chain has no cycle: SetStyleController refuses one.
  for (TcxStyleController* AController = GetActiveStyleController(); AController;) {
    TcxContainerStyle* AStyle = AController->GetInternalStyle(FState);
    if (AStyle->InternalIsValueAssigned(AValue))
      return AStyle;
    AController = AStyle->GetActiveStyleController();
  }
  return nullptr;
}

void TcxContainerStyle::UpdateFont()
{
  if (FDirectAccessMode || !IsBaseStyle() || InternalIsValueAssigned(csvFont))
    return;
  ++FFontAssignedValueLockCount;
  try {
    if (TcxContainerStyle* AStyle = FindControllerStyle(csvFont))
      dxAssignScaledFont(StyleData.Font, AStyle->GetFont(), dxGetScaleFactorOf(FOwner),
                         dxGetScaleFactorOf(AStyle->FOwner));
    else if (!GetContainer() || !cxContainerStyleParentFont(GetContainer()))
      cxResetFont(StyleData.Font);
  } catch (...) {
    --FFontAssignedValueLockCount;
    throw;
  }
  --FFontAssignedValueLockCount;
}

void TcxContainerStyle::CheckChanges()
{
  if (FModified && FUpdateCount == 0 && !FIsDestroying && !FDirectAccessMode) {
    FModified = false;
    dxCallNotifyEvent(this, FOnChanged);
  }
}

void TcxContainerStyle::LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues)
{
  Changed();
}

template <typename T>
void TcxContainerStyle::SetOwnValue(T& AField, const T& AValue, TcxContainerStyleValue AStyleValue, bool AUnchanged)
{
  if (InternalIsValueAssigned(AStyleValue) && AUnchanged)
    return;
  AField = AValue;
  FAssignedValues.Include(AStyleValue);
  Changed();
}

bool TcxContainerStyle::IsStyleValueStored(TcxContainerStyleValue AValue)
{
  if (!InternalIsValueAssigned(AValue))
    return false;
  TcxContainer* AContainer = GetContainer();
  rtl::String AName;
  return !AContainer || (GetStyleValueName(AValue, AName) &&
                         cxContainerStyleIsPropertyPublished(AContainer, AName, !IsBaseStyle()));
}

void TcxContainerStyle::ReadIsFontAssigned(rtl::TReader* AReader)
{
  AReader->ReadBoolean();
  FAssignedValues.Include(csvFont);
}

void TcxContainerStyle::WriteIsFontAssigned(rtl::TWriter* AWriter)
{
  AWriter->WriteBoolean(true);
}

// ---------------------------------------------------------------------------
// TcxContainerStyles

void TcxContainerStyles::Create(rtl::TPersistent* AOwner, TcxContainerStyleClass AStyleClass)
{
  inherited::Create();
  FStyles[TcxContainerStateItem::csNormal] = AStyleClass.Create(AOwner, false, nullptr, TcxContainerStateItem::csNormal);
  for (auto AState : {TcxContainerStateItem::csActive, TcxContainerStateItem::csDisabled, TcxContainerStateItem::csHotTrack})
    FStyles[AState] = AStyleClass.Create(AOwner, false, FStyles[TcxContainerStateItem::csNormal], AState);
}

void TcxContainerStyles::Destroy()
{
  for (auto AStyle = FStyles.rbegin(); AStyle != FStyles.rend(); ++AStyle)
    rtl::FreeAndNil(*AStyle);
  inherited::Destroy();
}

void TcxContainerStyles::RestoreDefaults()
{
  for (TcxContainerStyle* AStyle : FStyles)
    AStyle->RestoreDefaults();
}

void TcxContainerStyles::SetStyle(TcxContainerStateItem AState, TcxContainerStyle* Value)
{
  FStyles[AState]->Assign(Value);
}

void TcxContainerStyles::SetOnChanged(rtl::TNotifyEvent AValue)
{
  for (TcxContainerStyle* AStyle : FStyles)
    AStyle->SetOnChanged(AValue);
}

// ---------------------------------------------------------------------------
// TcxStyleController

void TcxStyleController::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FStyles = GetStylesClass().Create(this, GetStyleClass());
  FStyles->SetOnChanged(rtl::TNotifyEvent::Bind<&TcxStyleController::Changed>(this));
}

void TcxStyleController::Destroy()
{
  FIsDestruction = true;
  for (auto AListener = FListeners.size(); AListener-- > 0;)
    if (AListener < FListeners.size())
      FListeners[AListener]->ControllerFreeNotification(this);
  rtl::FreeAndNil(FStyles);
  inherited::Destroy();
}

void __stdcall TcxStyleController::ChangeScale(int M, int D)
{
  inherited::ChangeScale(M, D);
  for (auto AState : {TcxContainerStateItem::csNormal, TcxContainerStateItem::csActive,
                      TcxContainerStateItem::csDisabled, TcxContainerStateItem::csHotTrack}) {
    TcxContainerStyle* AStyle = GetInternalStyle(AState);
    // The state styles share the normal style's font.
    if (AStyle->IsBaseStyle() && AStyle->InternalIsValueAssigned(csvFont))
      AStyle->GetFont()->SetHeight(MulDiv(AStyle->GetFont()->GetHeight(), M, D));
  }
}

void TcxStyleController::RestoreStyles()
{
  FStyles->RestoreDefaults();
}

TcxStyleController* TcxStyleController::GetFakeStyleController() const
{
  return GetStyle()->GetStyleController();
}

void TcxStyleController::Loaded()
{
  inherited::Loaded();
  Changed(this);
}

void TcxStyleController::AddListener(TcxContainerStyle* AStyle)
{
  if (!AStyle || std::ranges::find(FListeners, AStyle) != FListeners.end())
    return;
  FListeners.push_back(AStyle);
  AStyle->GetLookAndFeel()->SetMasterLookAndFeel(GetStyle()->GetLookAndFeel());
}

TcxContainerStyleClass TcxStyleController::GetStyleClass()
{
  return TcxContainerStyleClass::Of<TcxContainerStyle>();
}

TcxContainerStylesClass TcxStyleController::GetStylesClass()
{
  return TcxContainerStylesClass::Of<TcxContainerStyles>();
}

void TcxStyleController::RemoveListener(TcxContainerStyle* AStyle)
{
  auto AListener = std::ranges::find(FListeners, AStyle);
  if (AListener == FListeners.end())
    return;
  FListeners.erase(AListener);
  AStyle->GetLookAndFeel()->SetMasterLookAndFeel(nullptr);
}

void TcxStyleController::Changed(rtl::TObject*)
{
  dxCallNotifyEvent(this, FOnStyleChanged);
  if (FIsDestruction)
    return;
  // A listener may leave or join while it is told.
  const std::vector<TcxContainerStyle*> AListeners = FListeners;
  for (TcxContainerStyle* AStyle : AListeners)
    if (std::ranges::find(FListeners, AStyle) != FListeners.end())
      AStyle->ControllerChangedNotification(this);
}

// ---------------------------------------------------------------------------
// What a style asks of its container

namespace {

TcxContainer* cxContainerOf(rtl::TPersistent*)
{
  return nullptr;
}

bool cxContainerStyleDefaultParentColor(TcxContainer*)
{
  return false;
}

bool cxContainerStyleParentColor(TcxContainer*)
{
  return false;
}

bool cxContainerStyleParentFont(TcxContainer*)
{
  return false;
}

bool cxContainerStyleIsInplace(TcxContainer*)
{
  return false;
}

bool cxContainerStyleGetParentColor(TcxContainer*, TColor&)
{
  return false;
}

void cxContainerStyleSetParentColor(TcxContainer*, bool) {}

void cxContainerStyleSetParentFont(TcxContainer*, bool) {}

bool cxContainerStyleIsPropertyPublished(TcxContainer*, const rtl::String&, bool)
{
  return true;
}

}  // namespace

// ---------------------------------------------------------------------------
// The inner control's native scroll bars

bool cxCanGetScrollBarInfo()
{
  return GGetScrollBarInfo != nullptr;
}

void cxSetCanGetScrollBarInfoForTest(bool AValue)
{
  GGetScrollBarInfo = AValue ? GBoundGetScrollBarInfo : nullptr;
}

bool cxGetScrollBarInfo(HWND AWnd, LONG AObjectId, SCROLLBARINFO& AInfo)
{
  AInfo.cbSize = sizeof(SCROLLBARINFO);
  return GGetScrollBarInfo && GGetScrollBarInfo(AWnd, AObjectId, &AInfo);
}

bool cxGetScaledScrollBarInfo(HWND AWnd, LONG AObjectId, SCROLLBARINFO& AInfo, bool AIsRightToLeft,
                              const TdxScaleFactor* AScaleFactor)
{
  if (!cxGetScrollBarInfo(AWnd, AObjectId, AInfo))
    return false;
  if (dxIsPerMonitorV2Aware()) {
    RECT& R = AInfo.rcScrollBar;
    if (AObjectId == OBJID_HSCROLL)
      R.bottom = R.top + dxGetScaledSystemMetrics(SM_CYHSCROLL, AScaleFactor);
    else if (AIsRightToLeft)
      R.left = R.right - dxGetScaledSystemMetrics(SM_CXVSCROLL, AScaleFactor);
    else
      R.right = R.left + dxGetScaledSystemMetrics(SM_CXVSCROLL, AScaleFactor);
  }
  return true;
}
