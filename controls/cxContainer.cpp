#include "controls/cxContainer.h"

#include <vssym32.h>

#include <algorithm>

#include "controls/cxBufferedPaint.h"
#include "controls/cxPopupMenus.h"
#include "core/cxGeometry.h"
#include "core/dxCore.h"
#include "core/dxDPIAwareUtils.h"
#include "core/dxThemeManager.h"
#include "core/dxUxTheme.h"
#include "graphics/cxGraphicsControls.h"
#include "graphics/cxGraphicsDraw.h"
#include "platform/rtl/ClassesFiler.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Forms.h"

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

TcxContainer* cxContainerOf(rtl::TPersistent* AOwner)
{
  return rtl::Is<TcxContainer>(AOwner) ? static_cast<TcxContainer*>(AOwner) : nullptr;
}

bool cxContainerStyleDefaultParentColor(TcxContainer* AContainer)
{
  return AContainer && AContainer->DefaultParentColor();
}

bool cxContainerStyleParentColor(TcxContainer* AContainer)
{
  return AContainer && AContainer->GetParentColor();
}

bool cxContainerStyleParentFont(TcxContainer* AContainer)
{
  return AContainer && AContainer->GetParentFont();
}

bool cxContainerStyleIsInplace(TcxContainer* AContainer)
{
  return AContainer && AContainer->IsInplace();
}

bool cxContainerStyleGetParentColor(TcxContainer* AContainer, TColor& AColor)
{
  if (!AContainer || !AContainer->GetParent())
    return false;
  AColor = AContainer->GetParent()->GetColor();
  return true;
}

void cxContainerStyleSetParentColor(TcxContainer* AContainer, bool AValue)
{
  AContainer->SetParentColor(AValue);
}

void cxContainerStyleSetParentFont(TcxContainer* AContainer, bool AValue)
{
  AContainer->SetParentFont(AValue);
}

bool cxContainerStyleIsPropertyPublished(TcxContainer* AContainer, const rtl::String& AName, bool AExtended)
{
  return AContainer->IsStylePropertyPublished(AName, AExtended);
}

TRect InflatedRect(TRect R, int DX, int DY)
{
  InflateRect(&R, DX, DY);
  return R;
}

TcxMouseButton ToContainerButton(vcl::TMouseButton AButton)
{
  switch (AButton) {
    case vcl::TMouseButton::mbLeft:
      return TcxMouseButton::cxmbLeft;
    case vcl::TMouseButton::mbRight:
      return TcxMouseButton::cxmbRight;
    default:
      return TcxMouseButton::cxmbMiddle;
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// TcxContainerMouseTrackingCaller

void TcxContainerMouseTrackingCaller::Create(TcxContainer* AContainer)
{
  inherited::Create();
  FContainer = AContainer;
}

void __stdcall TcxContainerMouseTrackingCaller::MouseLeave()
{
  FContainer->MouseTrackingCallerMouseLeave();
}

// ---------------------------------------------------------------------------
// TcxContainer

void TcxContainer::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FIsCreating = true;
  FMouseTrackingCaller = rtl::New<TcxContainerMouseTrackingCaller>(this);
  FSizeGripData = {};
  FStyles = GetStylesClass().Create(this, GetStyleClass());
  FStyles->SetOnChanged(rtl::TNotifyEvent::Bind<&TcxContainer::ContainerStyleChanged>(this));
  FActiveStyleData = {{TcxContainerStateItem::csNormal}, GetStyle()};
  FViewInfo = GetViewInfoClass().Create();
  FViewInfo->Owner = this;
  // Everything the base control draws follows the style.
  GetLookAndFeel()->SetMasterLookAndFeel(GetStyle()->GetLookAndFeel());
  vcl::TControlStyle AStyle = GetControlStyle();
  AStyle.Include(vcl::TControlStyleItem::csCaptureMouse);
  AStyle.Include(vcl::TControlStyleItem::csSetCaption);
  SetControlStyle(AStyle);
  SetTabStop(true);
  SetParentColor(DefaultParentColor() && !IsInplace() && !GetStyle()->IsValueAssigned(csvColor));
  if (!GetParentColor())
    SetColor(vcl::clWindow);
  ClearSavedChildControlRegions();
  FIsCreating = false;
}

void TcxContainer::Destroy()
{
  FNewWindowRegion.Reset();
  cxEndMouseTracking(FMouseTrackingCaller);
  rtl::FreeAndNil(FViewInfo);
  if (FStyles)
    FStyles->SetOnChanged({});
  rtl::FreeAndNil(FStyles);
  inherited::Destroy();
  rtl::FreeAndNil(FMouseTrackingCaller);
}

IcxMouseTrackingCaller* TcxContainer::GetMouseTrackingCaller() const
{
  return FMouseTrackingCaller;
}

bool TcxContainer::Focused()
{
  if (IsDesigning() || GetControlState().Contains(vcl::TControlStateItem::csDestroyingHandle))
    return false;
  return inherited::Focused() || (HasInnerControlHandle() && FInnerControl->Focused());
}

void TcxContainer::SetFocus()
{
  if (IsDesigning() || IsContainerFocused())
    return;
  inherited::SetFocus();
  if (HasInnerControlHandle() && HandleAllocated() && GetFocus() == GetHandle())
    FocusInnerControl();
}

vcl::TDragImageList* TcxContainer::GetDragImages()
{
  return FInnerControl ? FInnerControl->GetDragImages() : inherited::GetDragImages();
}

void TcxContainer::Invalidate()
{
  inherited::Invalidate();
  if (FInnerControl)
    FInnerControl->Invalidate();
}

void TcxContainer::Update()
{
  inherited::Update();
  if (FInnerControl)
    FInnerControl->Update();
}

bool TcxContainer::InnerControlDefaultHandler(rtl::TMessage& Message)
{
  return HasInnerControlHandle() && !IsDestroying() && HandleInnerControlMessage(Message);
}

bool TcxContainer::InnerControlMenuHandler(rtl::TMessage& Message)
{
  if (Message.Msg != rtl::CN_KEYDOWN && Message.Msg != rtl::CN_SYSKEYDOWN)
    return false;
  Message.Result = 1;
  bool ATaken = false;
  if (!IsDesigning())
    for (vcl::TWinControl* AControl = this; AControl && !ATaken; AControl = AControl->GetParent())
      if (rtl::Is<TcxControl>(AControl))
        ATaken = cxPopupMenuIsShortCut(static_cast<TcxControl*>(AControl)->GetCxPopupMenu(),
                                       reinterpret_cast<vcl::TWMKey&>(Message));
  if (!ATaken)
    Message.Result = 0;
  return ATaken;
}

bool TcxContainer::IsStylePropertyPublished(const rtl::String& APropertyName, bool AExtendedStyle)
{
  if (AExtendedStyle && !GetStyle()->IsExtendedStylePropertyPublished(APropertyName))
    return false;
  TcxContainerStyleValue AValue;
  return !GetStyle()->GetStyleValue(APropertyName, AValue) || !GetHiddenStyleValues().Contains(AValue);
}

void TcxContainer::LockAlignControls(bool ALock)
{
  if (ALock)
    ++FLockAlignControlsCount;
  else if (FLockAlignControlsCount > 0)
    --FLockAlignControlsCount;
}

void TcxContainer::LockPopupMenu(bool ALock)
{
  if (ALock)
    ++FPopupMenuLockCount;
  else if (FPopupMenuLockCount > 0)
    --FPopupMenuLockCount;
}

void TcxContainer::LockRefresh()
{
  ++FRefreshLockCount;
}

void TcxContainer::UnlockRefresh()
{
  if (FRefreshLockCount > 0)
    --FRefreshLockCount;
  ShortRefreshContainer(false);
}

void TcxContainer::RestoreStyles()
{
  FStyles->RestoreDefaults();
}

bool TcxContainer::ShortRefreshContainer(bool AIsMouseEvent)
{
  TPoint P{-1, -1};
  vcl::TShiftState AShift;
  if (CanRefreshContainer()) {
    POINT ACursor;
    GetCursorPos(&ACursor);
    const HWND AWindow = WindowFromPoint(ACursor);
    if (HandleAllocated() && AWindow && (AWindow == GetHandle() || IsChild(GetHandle(), AWindow)))
      P = ScreenToClient(ACursor);
    AShift = vcl::KeyboardStateToShiftState();
  }
  InternalRefresh(P, TcxMouseButton::cxmbNone, AShift, AIsMouseEvent);
  return FIsViewInfoCalculated;
}

void TcxContainer::UpdateScrollBarsParameters()
{
  if (!IsDestroying() && HandleAllocated() && HasInnerControl())
    PostMessageW(GetHandle(), DXM_UPDATESCROLLBARS, 0, 0);
}

void __stdcall TcxContainer::TranslationChanged()
{
  inherited::TranslationChanged();
  ShortRefreshContainer(false);
}

void TcxContainer::ClearSavedChildControlRegions()
{
  FInnerControlBounds.IsEmpty = true;
}

TRect TcxContainer::GetVisibleBounds()
{
  TRect R{0, 0, GetWidth(), GetHeight()};
  if (IsInplace())
    return R;
  if (FViewInfo->Shadow) {
    R.right -= cxContainerShadowWidth;
    R.bottom -= cxContainerShadowWidth;
  }
  TcxContainerStyle* AStyle = GetStyle();
  if (AStyle->HasBorder()) {
    if (FViewInfo->NativeStyle) {
      if (AStyle->GetTransparentBorder() && AStyle->GetBorderStyle() == TcxContainerBorderStyle::cbsNone)
        R = InflatedRect(R, -cxContainerTransparentBorderWidth, -cxContainerTransparentBorderWidth);
    } else if (AStyle->GetTransparentBorder()) {
      const int W = cxGetContainerBorderWidth(FViewInfo->BorderStyle);
      R = InflatedRect(R, W - cxContainerTransparentBorderWidth, W - cxContainerTransparentBorderWidth);
      R = cxRectExpandExceptBorders(R, TRect{-W, -W, -W, -W}, FViewInfo->Edges);
    }
  } else if (AStyle->GetTransparentBorder()) {
    R = InflatedRect(R, -cxContainerTransparentBorderWidth, -cxContainerTransparentBorderWidth);
  }
  if (R.top > R.bottom)
    R = TRect{R.left, 0, R.right, 0};
  return R;
}

void TcxContainer::UpdateInnerControlBounds()
{
  ++FRefreshLockCount;
  try {
    AdjustInnerControlBounds();
  } catch (...) {
    --FRefreshLockCount;
    throw;
  }
  --FRefreshLockCount;
}

void TcxContainer::SetInnerControl(vcl::TWinControl* AValue)
{
  if (AValue == FInnerControl)
    return;
  if (FInnerControl)
    FInnerControl->RemoveFreeNotification(this);
  FInnerControl = AValue;
  if (FInnerControl)
    FInnerControl->FreeNotification(this);
}

void TcxContainer::SetParentFont(bool AValue)
{
  inherited::SetParentFont(AValue);
  if (!AValue && !GetComponentState().Contains(rtl::TComponentStateFlag::csLoading) &&
      !GetComponentState().Contains(rtl::TComponentStateFlag::csReading) &&
      !GetStyle()->GetAssignedValues().Contains(csvFont))
    GetStyle()->SetAssignedValues(GetStyle()->GetAssignedValues() + TcxContainerStyleValues{csvFont});
}

void TcxContainer::SetDragMode(vcl::TDragMode AValue)
{
  inherited::SetDragMode(AValue);
  if (FInnerControl)
    FInnerControl->SetDragMode(AValue);
}

void TcxContainer::SetDragKind(vcl::TDragKind AValue)
{
  FDragKind = AValue;
  inherited::SetDragKind(AValue);
  if (FInnerControl)
    FInnerControl->SetDragKind(AValue);
}

vcl::TFont* TcxContainer::GetDisplayFont()
{
  vcl::TFont* AFont = GetActiveStyle()->GetVisibleFont();
  CorrectDisplayFont(AFont);
  TColor AColor, ATextColor;
  GetSkinColors(AColor, ATextColor);
  if (ATextColor != vcl::clDefault)
    AFont->SetColor(ATextColor);
  return AFont;
}

// New virtual operations

void TcxContainer::MouseTrackingCallerMouseLeave()
{
  HandleMouseTrackingLeave();
}

void TcxContainer::ApplyStyleToInnerControl()
{
  if (!FInnerControl)
    return;
  FInnerControl->SetColor(FViewInfo->GetBackgroundColor());
  FInnerControl->SetFont(GetDisplayFont());
}

void TcxContainer::CalculateViewInfo(const TPoint& P, bool AHotTrackAllowed)
{
  FViewInfo->FCalculated = true;
  FViewInfo->NativeStyle = IsNativeStyle();
  FViewInfo->UpdateStyle(GetStyle());
  const int APrevBorderWidth = cxGetContainerBorderWidth(FViewInfo->BorderStyle);
  auto ACalculateState = [&] {
    FViewInfo->ContainerState = CalculateContainerState(P, AHotTrackAllowed);
    TcxContainerStyle* AActiveStyle = GetActiveStyle();
    if (!AActiveStyle->GetHotTrack())
      FViewInfo->HotState = TcxContainerHotState::chsNoHotTrack;
    else if (FViewInfo->ContainerState.Contains(TcxContainerStateItem::csActive) ||
             FViewInfo->ContainerState.Contains(TcxContainerStateItem::csHotTrack))
      FViewInfo->HotState = TcxContainerHotState::chsSelected;
    else
      FViewInfo->HotState = TcxContainerHotState::chsNormal;
    TcxContainerBorderStyle ABorderStyle =
        FViewInfo->NativeStyle ? GetStyle()->GetBorderStyle() : AActiveStyle->GetBorderStyle();
    // The highlight of these two comes from the border colour.
    if (ABorderStyle == TcxContainerBorderStyle::cbsUltraFlat || ABorderStyle == TcxContainerBorderStyle::cbsOffice11)
      ABorderStyle = TcxContainerBorderStyle::cbsSingle;
    FViewInfo->BorderStyle = ABorderStyle;
  };
  ACalculateState();
  // A thinner border widens the visible bounds: the hot test is repeated.
  if (!FViewInfo->NativeStyle && cxGetContainerBorderWidth(FViewInfo->BorderStyle) < APrevBorderWidth)
    ACalculateState();
  if (FViewInfo->NativeStyle) {
    FViewInfo->ThemedObjectType = GetThemedObjectType();
    FViewInfo->NativePart = GetNativePart();
    FViewInfo->NativeState = GetNativeState();
  }
  FViewInfo->Bounds = TRect{0, 0, GetWidth(), GetHeight()};
  TRect AExtent;
  GetBorderExtent(AExtent);
  FViewInfo->BorderRect = cxRectDeflateByMargins(FViewInfo->Bounds, AExtent);
  FViewInfo->ClientRect = FViewInfo->BorderRect;
  FViewInfo->BorderWidth =
      FViewInfo->Painter ? FViewInfo->Painter->GetContainerBorderWidth(FViewInfo->BorderStyle) : 0;
  FViewInfo->Edges = GetActiveStyle()->GetEdges();
  FViewInfo->Shadow = HasShadow();
  FViewInfo->BorderColor = GetBorderColor();
  FViewInfo->SetBackgroundColor(GetBackgroundColor());
}

bool TcxContainer::HasTransparentBorder()
{
  return GetActiveStyle()->GetTransparentBorder() &&
         !(IsNativeStyle() && GetStyle()->GetBorderStyle() != TcxContainerBorderStyle::cbsNone);
}

bool TcxContainer::CanRefreshContainer()
{
  const rtl::TComponentState AState = GetComponentState();
  return FRefreshLockCount == 0 && !FIsCreating && !AState.Contains(rtl::TComponentStateFlag::csDestroying) &&
         !AState.Contains(rtl::TComponentStateFlag::csLoading) &&
         !GetControlState().Contains(vcl::TControlStateItem::csDestroyingHandle) && HandleAllocated();
}

void TcxContainer::ContainerStyleChanged(rtl::TObject*)
{
  if (FIsCreating || IsLoading())
    return;
  LockRefresh();
  try {
    if (!GetParentColor() || GetStyle()->IsValueAssigned(csvColor))
      InternalSetColor(GetStyle()->GetContainerColor());
    InternalSetFont(GetStyle()->GetFont());
    if (GetStyle()->IsValueAssigned(csvFont))
      inherited::SetParentFont(false);
  } catch (...) {
    UnlockRefresh();
    throw;
  }
  UnlockRefresh();
}

HRGN TcxContainer::CreateWindowRegion()
{
  TRect ABorderRect, AShadowExtent;
  CalculateBorderRect(ABorderRect);
  GetShadowBoundsExtent(AShadowExtent);
  vcl::TOwnedRegion ARegion(cxGetWindowShadowRegion(
      GetHandle(), ABorderRect, AShadowExtent, TRect{}, FViewInfo->Shadow,
      FViewInfo->NativeStyle && FViewInfo->BorderStyle != TcxContainerBorderStyle::cbsNone));
  if (!ARegion && HasTransparentBorder())
    ARegion.Reset(CreateRectRgnIndirect(&ABorderRect));
  if (ARegion) {
    TRect AExtra;
    GetExtraWindowRegionBounds(AExtra);
    if (!cxRectHasNoArea(AExtra)) {
      vcl::TOwnedRegion AExtraRegion(CreateRectRgnIndirect(&AExtra));
      CombineRgn(ARegion.Get(), ARegion.Get(), AExtraRegion.Get(), RGN_OR);
    }
  }
  return ARegion.Release();
}

bool TcxContainer::HandleInnerControlMessage(rtl::TMessage& Message)
{
  if (Message.Msg != WM_KEYDOWN && Message.Msg != WM_SYSKEYDOWN)
    return false;
  vcl::TApplication* AApplication = vcl::Application();
  return AApplication && AApplication->GetHandle() &&
         SendMessageW(AApplication->GetHandle(), DXM_UNHANDLEDKEY, Message.WParam, Message.LParam) != 0;
}

bool TcxContainer::RefreshContainer(const TPoint& P, TcxMouseButton, vcl::TShiftState Shift, bool)
{
  const vcl::TShiftState ABlocking{vcl::TShiftStateItem::ssShift, vcl::TShiftStateItem::ssAlt,
                                   vcl::TShiftStateItem::ssCtrl,  vcl::TShiftStateItem::ssLeft,
                                   vcl::TShiftStateItem::ssRight, vcl::TShiftStateItem::ssMiddle,
                                   vcl::TShiftStateItem::ssDouble};
  const bool AHotTrackAllowed = (Shift * ABlocking).Empty() && GetActiveStyle()->GetHotTrack();
  CalculateViewInfo(P, AHotTrackAllowed);
  UpdateInnerControlBounds();
  ApplyStyleToInnerControl();
  UpdateWindowRegion();
  InvalidateFrame();
  if (FViewInfo->ContainerState.Contains(TcxContainerStateItem::csHotTrack))
    cxBeginMouseTracking(this, TRect{0, 0, GetWidth(), GetHeight()}, FMouseTrackingCaller);
  return true;
}

void TcxContainer::HandleMouseTrackingLeave()
{
  MouseLeave(nullptr);
  cxEndMouseTracking(FMouseTrackingCaller);
}

TcxContainerStyle* TcxContainer::GetActiveStyle()
{
  if (!(FActiveStyleData.ContainerState == FViewInfo->ContainerState)) {
    FActiveStyleData.ContainerState = FViewInfo->ContainerState;
    FActiveStyleData.ActiveStyle = SelectActiveStyle();
  }
  return FActiveStyleData.ActiveStyle;
}

TColor TcxContainer::GetBackgroundColor()
{
  TColor AColor, ATextColor;
  GetSkinColors(AColor, ATextColor);
  if (AColor != vcl::clDefault)
    return AColor;
  TcxContainerStyle* AActiveStyle = GetActiveStyle();
  AColor = AActiveStyle->GetColor();
  if (FViewInfo->NativeStyle && FViewInfo->ContainerState.Contains(TcxContainerStateItem::csDisabled) &&
      !AActiveStyle->IsValueAssigned(csvColor))
    if (HTHEME ATheme = dxOpenTheme(FViewInfo->ThemedObjectType)) {
      COLORREF AFill;
      if (SUCCEEDED(dxUxGetThemeColor(ATheme, FViewInfo->NativePart, FViewInfo->NativeState, TMT_FILLCOLOR, &AFill)))
        AColor = static_cast<TColor>(AFill);
    }
  return AColor;
}

TColor TcxContainer::GetBorderColor()
{
  TcxContainerStyle* AActiveStyle = GetActiveStyle();
  const TcxContainerState AState = FViewInfo->ContainerState;
  const bool AHighlighted = AState.Contains(TcxContainerStateItem::csActive) ||
                            (AState.Contains(TcxContainerStateItem::csHotTrack) && AActiveStyle->GetHotTrack()) ||
                            (IsDesigning() && GetEnabled());
  const TColor ASkinColor = GetSkinBorderColor(AHighlighted);
  if (ASkinColor != vcl::clDefault)
    return ASkinColor;
  const TcxContainerBorderStyle AStyle = AActiveStyle->GetBorderStyle();
  if (AStyle == TcxContainerBorderStyle::cbsUltraFlat || AStyle == TcxContainerBorderStyle::cbsOffice11)
    return cxGetBorderHighlightColor(AHighlighted, AStyle == TcxContainerBorderStyle::cbsOffice11);
  return AActiveStyle->GetBorderColor();
}

void TcxContainer::GetBorderExtent(TRect& R)
{
  TcxContainerStyle* AActiveStyle = GetActiveStyle();
  const bool ANative = IsNativeStyle();
  if (AActiveStyle->GetTransparentBorder())
    R = TRect{cxContainerTransparentBorderWidth, cxContainerTransparentBorderWidth, cxContainerTransparentBorderWidth, cxContainerTransparentBorderWidth};
  else if (!AActiveStyle->HasBorder() || (ANative && GetStyle()->GetBorderStyle() == TcxContainerBorderStyle::cbsNone))
    R = TRect{};
  else if (ANative)
    R = TRect{cxContainerTransparentBorderWidth, cxContainerTransparentBorderWidth, cxContainerTransparentBorderWidth, cxContainerTransparentBorderWidth};
  else {
    const int W = cxGetContainerBorderWidth(FViewInfo->BorderStyle);
    const TcxBorders AEdges = AActiveStyle->GetEdges();
    R = TRect{AEdges.Contains(TcxBorder::bLeft) ? W : 0, AEdges.Contains(TcxBorder::bTop) ? W : 0,
              AEdges.Contains(TcxBorder::bRight) ? W : 0, AEdges.Contains(TcxBorder::bBottom) ? W : 0};
  }
  if (HasShadow()) {
    R.right += cxContainerShadowWidth;
    R.bottom += cxContainerShadowWidth;
  }
}

TcxEditStateColorKind TcxContainer::GetDrawState()
{
  if (!GetEnabled())
    return TcxEditStateColorKind::esckDisabled;
  return Focused() ? TcxEditStateColorKind::esckNormal : TcxEditStateColorKind::esckInactive;
}

void TcxContainer::GetChildVisibleArea(const TRect& R, vcl::TControl* AControl, TcxContainerInnerControlBounds& Area)
{
  const TRect ABounds = AControl->GetBoundsRect();
  Area.Rect = TRect{0, 0, AControl->GetWidth(), AControl->GetHeight()};
  Area.IsEmpty = true;
  auto ACut = [&Area](LONG& ASide, int AAmount, int ASign) {
    if (AAmount > 0) {
      ASide += ASign * AAmount;
      Area.IsEmpty = false;
    }
  };
  ACut(Area.Rect.left, R.left - ABounds.left, 1);
  ACut(Area.Rect.top, R.top - ABounds.top, 1);
  ACut(Area.Rect.right, ABounds.right - R.right, -1);
  ACut(Area.Rect.bottom, ABounds.bottom - R.bottom, -1);
}

void TcxContainer::CalculateBorderRect(TRect& R)
{
  TRect AExtent;
  GetBorderExtent(AExtent);
  R = cxRectDeflateByMargins(FViewInfo->Bounds, AExtent);
  const int W = FViewInfo->Painter ? FViewInfo->Painter->GetContainerBorderWidth(FViewInfo->GetContainerBorderStyle())
                                   : 0;
  R = InflatedRect(R, W, W);
  const TcxBorders AEdges = GetActiveStyle()->GetEdges();
  R = cxRectExpandExceptBorders(R, TRect{-W, -W, -W, -W}, AEdges);
}

TcxContainerStyleClass TcxContainer::GetStyleClass()
{
  return TcxContainerStyleClass::Of<TcxContainerStyle>();
}

TcxContainerStylesClass TcxContainer::GetStylesClass()
{
  return TcxContainerStylesClass::Of<TcxContainerStyles>();
}

TcxContainerViewInfoClass TcxContainer::GetViewInfoClass()
{
  return TcxContainerViewInfoClass::Of<TcxContainerViewInfo>();
}

bool TcxContainer::HasShadow()
{
  return GetActiveStyle()->GetShadow() && !IsNativeStyle();
}

TcxContainerStyle* TcxContainer::SelectActiveStyle()
{
  const TcxContainerState AState = FViewInfo->ContainerState;
  if (AState.Contains(TcxContainerStateItem::csDisabled))
    return GetStyleDisabled();
  if (AState.Contains(TcxContainerStateItem::csActive))
    return GetStyleFocused();
  if (GetStyle()->GetHotTrack() && AState.Contains(TcxContainerStateItem::csHotTrack))
    return GetStyleHot();
  return GetStyle();
}

TColor TcxContainer::GetSkinBorderColor(bool AHighlighted)
{
  if (!FViewInfo->UseSkins)
    return vcl::clDefault;
  if (GetStyle()->IsValueAssigned(csvBorderColor) || GetActiveStyle()->IsValueAssigned(csvBorderColor))
    return GetActiveStyle()->GetBorderColor();
  return FViewInfo->Painter->GetContainerBorderColor(AHighlighted);
}

void TcxContainer::GetSkinColors(TColor& AColor, TColor& ATextColor)
{
  AColor = vcl::clDefault;
  ATextColor = vcl::clDefault;
  if (!FViewInfo->UseSkins || !FViewInfo->Painter)
    return;
  TcxContainerStyle* AActiveStyle = GetActiveStyle();
  if (!GetStyle()->IsValueAssigned(csvTextColor) && !AActiveStyle->IsValueAssigned(csvTextColor))
    ATextColor = GetDefaultTextColor();
  if (!GetParentColor() && !GetStyle()->IsValueAssigned(csvColor) && !AActiveStyle->IsValueAssigned(csvColor))
    AColor = GetDefaultBackgroundColor();
}

TColor TcxContainer::GetDefaultBackgroundColor()
{
  return FViewInfo->Painter->DefaultEditorBackgroundColorEx(GetDrawState());
}

TColor TcxContainer::GetDefaultTextColor()
{
  return FViewInfo->Painter->DefaultEditorTextColorEx(GetDrawState());
}

bool TcxContainer::IsMouseTrackingActive()
{
  return cxIsMouseTracking(FMouseTrackingCaller);
}

bool TcxContainer::IsNativeStyle()
{
  return cxIsNativeThemeAvailable(GetStyle()->GetLookAndFeel()->GetNativeStyle(), GetThemedObjectType());
}

void TcxContainer::AdjustInnerControlBounds()
{
  PlaceInnerControl();
  // The native scroll bars may have come or gone with the new size.
  if (IsNonClassicScrollBarMode())
    PlaceInnerControl();
}

void TcxContainer::PlaceInnerControl()
{
  TRect R = FViewInfo->ClientRect;
  if (IsNonClassicScrollBarMode() && HasInnerControlHandle()) {
    SCROLLBARINFO AInfo;
    if (IsInnerScrollBarUsable(TScrollBarKind::sbVertical, AInfo)) {
      const int AWidth = AInfo.rcScrollBar.right - AInfo.rcScrollBar.left;
      if (FInnerControl->UseRightToLeftAlignment())
        R.left -= AWidth;
      else
        R.right += AWidth;
    }
    if (IsInnerScrollBarUsable(TScrollBarKind::sbHorizontal, AInfo))
      R.bottom += AInfo.rcScrollBar.bottom - AInfo.rcScrollBar.top;
    else if (rtl::Is<TcxCustomInnerListBox>(FInnerControl))
      R.bottom += dxGetScaledSystemMetrics(SM_CYHSCROLL, GetScaleFactor());
  }
  if (FViewInfo->FCalculated && FInnerControl && !EqualRect(&R, &static_cast<const RECT&>(FInnerControl->GetBoundsRect())))
    FInnerControl->SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top);
}

void TcxContainer::SetPaintCopyClipRegion()
{
  TRect ABorderRect, AShadowExtent;
  CalculateBorderRect(ABorderRect);
  GetShadowBoundsExtent(AShadowExtent);
  if (HRGN ARegion = cxGetWindowShadowRegion(GetHandle(), ABorderRect, AShadowExtent, TRect{}, FViewInfo->Shadow,
                                             !HasTransparentBorder()))
    GetCanvas()->SetClipRegion(rtl::New<TcxRegion>(ARegion), TcxRegionOperation::roIntersect);
}

void TcxContainer::UpdateWindowRegion()
{
  if (!HandleAllocated() || GetWidth() == 0 || GetHeight() == 0 || FInternalWindowRegionSetting)
    return;
  ++FUpdateWindowRegionCount;
  FNewWindowRegion.Reset(CreateWindowRegion());
  SendMessageW(GetHandle(), DXM_UPDATEWINDOWREGION, 0, 0);
}

int TcxContainer::GetNativePart()
{
  return dxOSIsWindowsVistaOrLater ? 3 : 1;
}

int TcxContainer::GetNativeState()
{
  if (!GetEnabled())
    return 4;
  if (IsReadOnly())
    return 6;
  if (Focused())
    return 5;
  if (FViewInfo->ContainerState.Contains(TcxContainerStateItem::csHotTrack))
    return 2;
  return 1;
}

void TcxContainer::FocusInnerControl()
{
  FInnerControl->SetFocus();
}

// Overrides

void TcxContainer::Loaded()
{
  inherited::Loaded();
  UpdateInnerControlBounds();
  ContainerStyleChanged(GetStyle());
}

void TcxContainer::Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation)
{
  inherited::Notification(AComponent, AOperation);
  if (AOperation == rtl::TOperation::opRemove && AComponent == FInnerControl)
    FInnerControl = nullptr;
}

void TcxContainer::CreateParams(vcl::TCreateParams& AParams)
{
  inherited::CreateParams(AParams);
  AParams.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TcxContainer::CreateWindowHandle(const vcl::TCreateParams& AParams)
{
  const bool ALock = NeedsRefreshLockOnHandleCreation();
  if (ALock) {
    DisableAlign();
    LockRefresh();
  }
  try {
    // A caption this long is not handed to the window creation; the text
    // is set afterwards.
    if (AParams.Caption && wcslen(AParams.Caption) >= 65536) {
      vcl::TCreateParams AShortParams = AParams;
      AShortParams.Caption = L"";
      inherited::CreateWindowHandle(AShortParams);
      DefWindowProcW(GetHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(AParams.Caption));
    } else {
      inherited::CreateWindowHandle(AParams);
    }
    if (FInnerControl && cxCanAllocateControlHandle(FInnerControl))
      FInnerControl->HandleNeeded();
  } catch (...) {
    if (ALock) {
      FRefreshLockCount = std::max(0, FRefreshLockCount - 1);
      EnableAlign();
    }
    throw;
  }
  if (ALock) {
    EnableAlign();
    UnlockRefresh();
  }
}

void TcxContainer::DestroyWindowHandle()
{
  if (FInnerControl)
    cxFlushBufferedPrintClient(FInnerControl);
  cxFlushBufferedPrintClient(this);
  inherited::DestroyWindowHandle();
}

void TcxContainer::WndProc(rtl::TMessage& AMessage)
{
  switch (AMessage.Msg) {
    case WM_SETFOCUS:
      if (!GetVisible())
        return;
      break;
    case WM_NCCALCSIZE:
      if (FRefreshLockCount > 0) {
        AMessage.Result = 0;
        return;
      }
      break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case rtl::CN_KEYDOWN:
    case rtl::CN_KEYUP:
    case rtl::CN_CHAR:
      if (HasInnerControlHandle()) {
        AMessage.Result = SendMessageW(FInnerControl->GetHandle(), AMessage.Msg, AMessage.WParam, AMessage.LParam);
        return;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (GetDragMode() == vcl::TDragMode::dmAutomatic && !IsDesigning()) {
        BeginDrag(true);
        return;
      }
      break;
  }
  inherited::WndProc(AMessage);
}

void TcxContainer::AdjustClientRect(TRect& ARect)
{
  if (FViewInfo && FViewInfo->FCalculated && !IsLoading() && !IsDestroying())
    ARect = FViewInfo->ClientRect;
}

void TcxContainer::AlignControls(vcl::TControl* AControl, TRect& ARect)
{
  if (HasStandardChildLayout()) {
    inherited::AlignControls(AControl, ARect);
    return;
  }
  if (FLockAlignControlsCount > 0 || (AControl && IsInternalControl(AControl)))
    return;
  if (!AControl) {
    if (NeedsScrollBars())
      inherited::AlignControls(AControl, ARect);
    return;
  }
  if (!rtl::Is<vcl::TWinControl>(AControl) || !static_cast<vcl::TWinControl*>(AControl)->HandleAllocated() ||
      FIsCreating)
    return;
  auto* AChild = static_cast<vcl::TWinControl*>(AControl);
  TRect R = ARect;
  CorrectAlignRect(R);
  TcxContainerInnerControlBounds AArea;
  GetChildVisibleArea(R, AChild, AArea);
  if (AChild != FInnerControl || InnerControlBoundsChanged(AArea))
    ApplyChildVisibleArea(AChild, AArea);
}

TRect TcxContainer::GetClientBounds()
{
  return FViewInfo ? FViewInfo->ClientRect : inherited::GetClientBounds();
}

TColor TcxContainer::GetContentTextColor()
{
  return FStyles ? GetDisplayFont()->GetColor() : inherited::GetContentTextColor();
}

void TcxContainer::Paint()
{
  TRect AClip;
  GetClipBox(GetCanvas()->GetHandle(), &AClip);
  TRect AIntersection;
  if (IntersectRect(&AIntersection, &FViewInfo->Bounds, &AClip) || !FViewInfo->FCalculated) {
    if (GetControlState().Contains(vcl::TControlStateItem::csPaintCopy))
      SetPaintCopyClipRegion();
    EnsureViewInfoCalculated();
    if (FIsViewInfoCalculated)
      FViewInfo->Paint(GetCanvas());
  }
  UpdateScrollBarControls();
}

void TcxContainer::DoChangeScale(int M, int D, bool AIsDpiChange)
{
  TcxContainerStyle* AStyle = GetStyle();
  const bool AScaleFont = M != D && !IsLoading() && AStyle->GetAssignedValues().Contains(csvFont);
  const TPoint AParentSize = TcxControlHelper::GetOriginalParentSize(this);
  const bool ARaise = !GetParentFont();
  if (ARaise)
    ++FInternalSetting;
  try {
    inherited::DoChangeScale(M, D, AIsDpiChange);
  } catch (...) {
    if (ARaise)
      --FInternalSetting;
    throw;
  }
  if (ARaise)
    --FInternalSetting;
  TcxControlHelper::SetOriginalParentSize(this, AParentSize);
  if (AScaleFont)
    AStyle->GetFont()->SetHeight(MulDiv(AStyle->GetFont()->GetHeight(), M, D));
  else
    AStyle->UpdateFont();
}

void TcxContainer::ScaleChanged()
{
  LockRefresh();
  try {
    inherited::ScaleChanged();
  } catch (...) {
    UnlockRefresh();
    throw;
  }
  UnlockRefresh();
}

bool TcxContainer::CanFocusByMouse()
{
  return inherited::CanFocusByMouse() && !(HasInnerControlHandle() && FInnerControl->Focused()) &&
         !FInnerControlMouseDown;
}

bool TcxContainer::CanBeFocused()
{
  return !(HasInnerControlHandle() && FInnerControl->Focused());
}

void TcxContainer::UpdateScrollBars()
{
  if (UsesInnerControlScrollBars())
    SetScrollBarsParameters(false);
  else
    inherited::UpdateScrollBars();
}

TcxLookAndFeel* TcxContainer::GetContainerLookAndFeel()
{
  return FStyles ? GetStyle()->GetLookAndFeel() : inherited::GetContainerLookAndFeel();
}

bool TcxContainer::IsGestureTarget(HWND AWnd)
{
  return inherited::IsGestureTarget(AWnd) ||
         (IsInnerControlGestureTarget() && HasInnerControlHandle() && AWnd == FInnerControl->GetHandle());
}

void TcxContainer::EnabledChanged()
{
  if (!GetEnabled() && HandleAllocated() && Focused())
    ::SetFocus(nullptr);
  for (int I = 0; I < GetControlCount(); ++I)
    if (rtl::Is<TcxScrollBar>(GetControls(I)))
      GetControls(I)->SetEnabled(GetEnabled());
  if (!GetEnabled())
    HideScrollUI(nullptr, true);
  ShortRefreshContainer(false);
}

void TcxContainer::FocusChanged()
{
  inherited::FocusChanged();
  ShortRefreshContainer(false);
}

void TcxContainer::ColorChanged()
{
  if (FInternalSetting > 0) {
    inherited::ColorChanged();
    ShortRefreshContainer(false);
  } else {
    GetStyle()->SetColor(GetColor());
  }
}

void TcxContainer::CursorChanged()
{
  inherited::CursorChanged();
  if (FInnerControl)
    FInnerControl->SetCursor(GetCursor());
}

void TcxContainer::DoContextPopup(TPoint AMousePos, bool& AHandled)
{
  if (FPopupMenuLockCount == 0 && ((AMousePos.x == -1 && AMousePos.y == -1) || CanShowPopupMenu(AMousePos)))
    inherited::DoContextPopup(AMousePos, AHandled);
  else
    AHandled = true;
}

void TcxContainer::DragCanceled()
{
  inherited::DragCanceled();
}

void TcxContainer::Resize()
{
  inherited::Resize();
  if (IsNonClassicScrollBarMode() && NeedsScrollBars())
    UpdateScrollBarsParameters();
}

void TcxContainer::KeyDown(WORD& AKey, vcl::TShiftState AShift)
{
  inherited::KeyDown(AKey, AShift);
  if (AKey != VK_TAB || AShift.Contains(vcl::TShiftStateItem::ssCtrl) ||
      AShift.Contains(vcl::TShiftStateItem::ssAlt) || !Focused() || !HandlesTabKey())
    return;
  AKey = 0;
  if (vcl::TCustomForm* AForm = vcl::GetParentForm(this))
    AForm->SelectNext(AForm->GetActiveControl(), !AShift.Contains(vcl::TShiftStateItem::ssShift), true);
  if (HandleAllocated() && GetFocus() == GetHandle() && FInnerControl)
    FocusInnerControl();
}

void TcxContainer::MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  inherited::MouseDown(AButton, AShift, X, Y);
  if (IsMouseTrackingActive())
    InternalRefresh(TPoint{X, Y}, ToContainerButton(AButton), AShift, true);
}

void TcxContainer::MouseMove(vcl::TShiftState AShift, int X, int Y)
{
  inherited::MouseMove(AShift, X, Y);
  InternalRefresh(TPoint{X, Y}, TcxMouseButton::cxmbNone, AShift, true);
  if (!IsMouseTrackingActive())
    cxBeginMouseTracking(this, TRect{0, 0, GetWidth(), GetHeight()}, FMouseTrackingCaller);
}

void TcxContainer::MouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  inherited::MouseUp(AButton, AShift, X, Y);
  InternalRefresh(TPoint{X, Y}, ToContainerButton(AButton), AShift, true);
}

void TcxContainer::MouseEnter(vcl::TControl* AControl)
{
  inherited::MouseEnter(AControl);
  ShortRefreshContainer(true);
  cxBeginMouseTracking(this, TRect{0, 0, GetWidth(), GetHeight()}, FMouseTrackingCaller);
}

void TcxContainer::MouseLeave(vcl::TControl* AControl)
{
  inherited::MouseLeave(AControl);
  ShortRefreshContainer(true);
  cxEndMouseTracking(FMouseTrackingCaller);
}

// Message handlers

void TcxContainer::HandleWMDestroy(rtl::TMessage& Message)
{
  FUpdateWindowRegionCount = 0;
  rtl::InheritedMessage(this, Message);
}

void TcxContainer::HandleWMKillFocus(rtl::TMessage& Message)
{
  // The focus staying inside counts as still focused.
  if (HasInnerControlHandle() && reinterpret_cast<HWND>(Message.WParam) == FInnerControl->GetHandle())
    return;
  rtl::InheritedMessage(this, Message);
}

void TcxContainer::HandleWMSetCursor(rtl::TMessage& Message)
{
  TPoint P;
  GetCursorPos(&P);
  P = ScreenToClient(P);
  if (reinterpret_cast<HWND>(Message.WParam) == GetHandle() && LOWORD(Message.LParam) == HTCLIENT && FInnerControl &&
      !PtInRect(&FViewInfo->ClientRect, P)) {
    ::SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    Message.Result = 1;
    return;
  }
  rtl::InheritedMessage(this, Message);
}

void TcxContainer::HandleWMSetFocus(rtl::TMessage& Message)
{
  if (IsDestroying() || !HandleAllocated() || !HasInnerControlHandle()) {
    rtl::InheritedMessage(this, Message);
    return;
  }
  if (reinterpret_cast<HWND>(Message.WParam) == FInnerControl->GetHandle()) {
    Message.Msg = 0;
    Message.Result = 0;
    return;
  }
  rtl::InheritedMessage(this, Message);
  if (FInnerControl && FInnerControl->CanFocus())
    FocusInnerControl();
}

void TcxContainer::HandleWMWindowPosChanging(rtl::TMessage& Message)
{
  if (IsDestroying()) {
    Message.Result = 0;
    return;
  }
  auto* APos = reinterpret_cast<WINDOWPOS*>(Message.LParam);
  const int ARequestedWidth = APos->cx;
  const int ARequestedHeight = APos->cy;
  rtl::InheritedMessage(this, Message);
  if ((APos->flags & SWP_NOSIZE) == 0) {
    if (GetAlign() == vcl::TAlign::alRight && APos->cx != ARequestedWidth)
      APos->x += ARequestedWidth - APos->cx;
    if (GetAlign() == vcl::TAlign::alBottom && APos->cy != ARequestedHeight)
      APos->y += ARequestedHeight - APos->cy;
  }
  if (HandleAllocated() && GetFocus() == GetHandle() && HasInnerControlHandle() && FInnerControl->CanFocus() &&
      !GetControlState().Contains(vcl::TControlStateItem::csFocusing))
    FocusInnerControl();
}

void TcxContainer::HandleWMWindowPosChanged(rtl::TMessage& Message)
{
  rtl::InheritedMessage(this, Message);
  if (!IsDestroying() && !FInternalWindowRegionSetting)
    ShortRefreshContainer(false);
}

void TcxContainer::HandleCMBiDiModeChanged(rtl::TMessage& Message)
{
  const WPARAM AArrived = Message.WParam;
  Message.WParam = 1;
  rtl::InheritedMessage(this, Message);
  // Only a system that reads right to left re-creates the window here.
  if (GetSystemMetrics(SM_MIDEASTENABLED) != 0 && AArrived == 0 && HandleAllocated())
    RecreateWnd();
}

void TcxContainer::HandleCMCtl3DChanged(rtl::TMessage& Message)
{
  LockRefresh();
  try {
    rtl::InheritedMessage(this, Message);
  } catch (...) {
    UnlockRefresh();
    throw;
  }
  UnlockRefresh();
}

void TcxContainer::HandleCMFontChanged(rtl::TMessage& Message)
{
  if (FInternalSetting > 0) {
    LockRefresh();
    try {
      rtl::InheritedMessage(this, Message);
      UpdateInnerControlBounds();
      SetScrollBarsParameters(false);
    } catch (...) {
      UnlockRefresh();
      throw;
    }
    UnlockRefresh();
    return;
  }
  TcxContainerStyle* AStyle = GetStyle();
  const bool AWasAssigned = AStyle->GetAssignedValues().Contains(csvFont);
  AStyle->SetFont(GetFont());
  if (!AWasAssigned)
    AStyle->FAssignedValues.Exclude(csvFont);
  rtl::InheritedMessage(this, Message);
}

void TcxContainer::HandleCMParentColorChanged(rtl::TMessage& Message)
{
  TcxContainerStyle* AStyle = GetStyle();
  const bool AWasAssigned = AStyle->GetAssignedValues().Contains(csvColor);
  rtl::InheritedMessage(this, Message);
  if (!AWasAssigned || GetParentColor())
    AStyle->FAssignedValues.Exclude(csvColor);
  if (AStyle->GetColor() != GetColor())
    ContainerStyleChanged(AStyle);
  if (HasParentBackground() && !GetParentColor())
    Invalidate();
}

void TcxContainer::HandleCMParentFontChanged(rtl::TMessage& Message)
{
  TcxContainerStyle* AStyle = GetStyle();
  const bool AWasAssigned = AStyle->GetAssignedValues().Contains(csvFont);
  rtl::InheritedMessage(this, Message);
  if (!GetParentFont())
    AStyle->UpdateFont();
  if (!AWasAssigned || GetParentFont())
    AStyle->FAssignedValues.Exclude(csvFont);
}

void TcxContainer::HandleCMSysColorChange(rtl::TMessage& Message)
{
  LockRefresh();
  try {
    rtl::InheritedMessage(this, Message);
  } catch (...) {
    UnlockRefresh();
    throw;
  }
  UnlockRefresh();
}

void TcxContainer::HandleDXMContainerRefresh(rtl::TMessage&)
{
  ShortRefreshContainer(false);
}

void TcxContainer::HandleDXMUpdateScrollBars(rtl::TMessage&)
{
  SetScrollBarsParameters(false);
}

void TcxContainer::HandleDXMUpdateWindowRegion(rtl::TMessage&)
{
  if (FUpdateWindowRegionCount > 0)
    --FUpdateWindowRegionCount;
  if (FUpdateWindowRegionCount > 0 || !HandleAllocated())
    return;
  FInternalWindowRegionSetting = true;
  // The region goes to the window, or is deleted as equal: either way it is
  // no longer ours.
  cxSetWindowRegionIfChanged(GetHandle(), FNewWindowRegion.Release(), true);
  FInternalWindowRegionSetting = false;
}

void TcxContainer::EnsureViewInfoCalculated()
{
  if (!FIsViewInfoCalculated)
    ShortRefreshContainer(false);
}

// Private

void TcxContainer::InternalRefresh(const TPoint& P, TcxMouseButton AButton, vcl::TShiftState AShift,
                                   bool AIsMouseEvent)
{
  FHasChanges = true;
  if (!CanRefreshContainer())
    return;
  bool ARefreshed;
  ++FRefreshLockCount;
  FHasChanges = false;
  try {
    ARefreshed = RefreshContainer(P, AButton, AShift, AIsMouseEvent);
  } catch (...) {
    --FRefreshLockCount;
    throw;
  }
  --FRefreshLockCount;
  if (AIsMouseEvent && CanRefreshContainer() && FProcessEventsLockCount == 0) {
    ++FProcessEventsLockCount;
    try {
      ProcessViewInfoChanges();
    } catch (...) {
      --FProcessEventsLockCount;
      throw;
    }
    --FProcessEventsLockCount;
  }
  FIsViewInfoCalculated = ARefreshed && !FHasChanges;
}

TcxContainerState TcxContainer::CalculateContainerState(const TPoint& P, bool AHotTrackAllowed)
{
  TcxContainerState AState;
  if (!GetEnabled())
    AState = {TcxContainerStateItem::csDisabled};
  else if (IsDesigning())
    AState = {TcxContainerStateItem::csNormal};
  else
    AState = {Focused() ? TcxContainerStateItem::csActive : TcxContainerStateItem::csNormal};
  const TRect AVisible = GetVisibleBounds();
  if (AHotTrackAllowed && PtInRect(&AVisible, P))
    AState.Include(TcxContainerStateItem::csHotTrack);
  return AState;
}

void TcxContainer::InvalidateFrame()
{
  if (!HandleAllocated())
    return;
  const TRect ABounds{0, 0, GetWidth(), GetHeight()};
  // Only the frame around an inner window: the window itself must not
  // flicker.
  if (FInnerControl)
    cxRedrawRectFrame(GetHandle(), ABounds, FViewInfo->BorderRect, false, false);
  else
    cxRedrawWindowRect(GetHandle(), ABounds, false, false);
}

void TcxContainer::InternalSetColor(TColor AValue)
{
  ++FInternalSetting;
  try {
    SetColor(AValue);
  } catch (...) {
    --FInternalSetting;
    throw;
  }
  --FInternalSetting;
}

void TcxContainer::InternalSetFont(vcl::TFont* AValue)
{
  ++FInternalSetting;
  try {
    SetFont(AValue);
  } catch (...) {
    --FInternalSetting;
    throw;
  }
  --FInternalSetting;
}

bool TcxContainer::InnerControlBoundsChanged(const TcxContainerInnerControlBounds& AArea) const
{
  if (AArea.IsEmpty && FInnerControlBounds.IsEmpty)
    return false;
  if (AArea.IsEmpty != FInnerControlBounds.IsEmpty)
    return true;
  return !EqualRect(&AArea.Rect, &FInnerControlBounds.Rect);
}

void TcxContainer::ApplyChildVisibleArea(vcl::TWinControl* AChild, const TcxContainerInnerControlBounds& AArea)
{
  if (AArea.IsEmpty)
    SetWindowRgn(AChild->GetHandle(), nullptr, TRUE);
  else
    cxSetWindowRegionIfChanged(AChild->GetHandle(), CreateRectRgnIndirect(&AArea.Rect), true);
  if (AChild == FInnerControl)
    FInnerControlBounds = AArea;
}

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
