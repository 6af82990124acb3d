// The editor styles and the editor style controller.
#include <array>

#include "editors/cxEdit.h"

namespace {

constexpr int cxEditStyleValueCount = 16;

constexpr std::array<const wchar_t*, 6> cxEditStyleValueNames = {
    L"ButtonStyle", L"ButtonTransparency", L"PopupBorderStyle", L"GradientButtons", L"Gradient", L"GradientDirection"};

}  // namespace

// ---------------------------------------------------------------------------
// TcxCustomEditStyle

void TcxCustomEditStyle::Create(rtl::TPersistent* AOwner, bool ADirectAccessMode, TcxContainerStyle* AParentStyle,
                                TcxContainerStateItem AState)
{
  inherited::Create(AOwner, ADirectAccessMode, AParentStyle, AState);
  FGradientDirection = TcxDirection::dirDown;
  FPopupCloseButton = true;
}

void TcxCustomEditStyle::Assign(rtl::TPersistent* Source)
{
  if (!rtl::Is<TcxCustomEditStyle>(Source)) {
    inherited::Assign(Source);
    return;
  }
  auto* ASource = static_cast<TcxCustomEditStyle*>(Source);
  BeginUpdate();
  try {
    FButtonStyle = ASource->FButtonStyle;
    FButtonTransparency = ASource->FButtonTransparency;
    FGradient = ASource->FGradient;
    FGradientButtons = ASource->FGradientButtons;
    FGradientDirection = ASource->FGradientDirection;
    FPopupBorderStyle = ASource->FPopupBorderStyle;
    FPopupCloseButton = ASource->FPopupCloseButton;
    inherited::Assign(Source);
    Changed();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TcxCustomEditStyle::Init(const TcxViewParams& AParams)
{
  BeginUpdate();
  try {
    SetColor(AParams.Color);
    SetFont(AParams.Font);
    SetTextColor(AParams.TextColor);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

int TcxCustomEditStyle::GetStyleValueCount()
{
  return cxEditStyleValueCount;
}

bool TcxCustomEditStyle::GetStyleValueName(TcxContainerStyleValue AStyleValue, rtl::String& StyleValueName)
{
  if (AStyleValue >= svButtonStyle && AStyleValue < cxEditStyleValueCount) {
    StyleValueName = cxEditStyleValueNames[AStyleValue - svButtonStyle];
    return true;
  }
  return inherited::GetStyleValueName(AStyleValue, StyleValueName);
}

bool TcxCustomEditStyle::IsValueAssigned(TcxContainerStyleValue AValue)
{
  if (AValue >= svButtonStyle && AValue < cxEditStyleValueCount)
    return !GetDirectAccessMode() && FindValueHolder(AValue) != nullptr;
  return inherited::IsValueAssigned(AValue);
}

TcxEditButtonStyle TcxCustomEditStyle::GetButtonStyle()
{
  return ResolveValue(&TcxCustomEditStyle::FButtonStyle, svButtonStyle, &TcxCustomEditStyle::DefaultButtonStyle);
}

void TcxCustomEditStyle::SetButtonStyle(TcxEditButtonStyle AValue)
{
  SetOwnValue(&TcxCustomEditStyle::FButtonStyle, AValue, svButtonStyle);
}

TcxEditButtonTransparency TcxCustomEditStyle::GetButtonTransparency()
{
  return ResolveValue(&TcxCustomEditStyle::FButtonTransparency, svButtonTransparency,
                      &TcxCustomEditStyle::DefaultButtonTransparency);
}

void TcxCustomEditStyle::SetButtonTransparency(TcxEditButtonTransparency AValue)
{
  GetEditBaseStyle()->SetOwnValue(&TcxCustomEditStyle::FButtonTransparency, AValue, svButtonTransparency);
}

bool TcxCustomEditStyle::GetGradient()
{
  return ResolveValue(&TcxCustomEditStyle::FGradient, svGradient, &TcxCustomEditStyle::DefaultGradient);
}

void TcxCustomEditStyle::SetGradient(bool AValue)
{
  GetEditBaseStyle()->SetOwnValue(&TcxCustomEditStyle::FGradient, AValue, svGradient);
}

bool TcxCustomEditStyle::GetGradientButtons()
{
  return ResolveValue(&TcxCustomEditStyle::FGradientButtons, svGradientButtons,
                      &TcxCustomEditStyle::DefaultGradientButtons);
}

void TcxCustomEditStyle::SetGradientButtons(bool AValue)
{
  GetEditBaseStyle()->SetOwnValue(&TcxCustomEditStyle::FGradientButtons, AValue, svGradientButtons);
}

TcxEditGradientDirection TcxCustomEditStyle::GetGradientDirection()
{
  return ResolveValue(&TcxCustomEditStyle::FGradientDirection, svGradientDirection,
                      &TcxCustomEditStyle::DefaultGradientDirection);
}

void TcxCustomEditStyle::SetGradientDirection(TcxEditGradientDirection AValue)
{
  GetEditBaseStyle()->SetOwnValue(&TcxCustomEditStyle::FGradientDirection, AValue, svGradientDirection);
}

TcxEditPopupBorderStyle TcxCustomEditStyle::GetPopupBorderStyle()
{
  return ResolveValue(&TcxCustomEditStyle::FPopupBorderStyle, svPopupBorderStyle,
                      &TcxCustomEditStyle::DefaultPopupBorderStyle);
}

void TcxCustomEditStyle::SetPopupBorderStyle(TcxEditPopupBorderStyle AValue)
{
  GetEditBaseStyle()->SetOwnValue(&TcxCustomEditStyle::FPopupBorderStyle, AValue, svPopupBorderStyle);
}

TcxEditStyleController* TcxCustomEditStyle::GetEditStyleController()
{
  TcxStyleController* controller = GetStyleController();
  return rtl::Is<TcxEditStyleController>(controller) ? static_cast<TcxEditStyleController*>(controller) : nullptr;
}

TcxCustomEditStyle* TcxCustomEditStyle::GetEditBaseStyle()
{
  return static_cast<TcxCustomEditStyle*>(GetBaseStyle());
}

// On a state style the defaults are the normal style's values.

TcxEditButtonStyle TcxCustomEditStyle::DefaultButtonStyle()
{
  return GetBaseStyle() == this ? TcxEditButtonStyle::btsDefault : GetEditBaseStyle()->GetButtonStyle();
}

TcxEditButtonTransparency TcxCustomEditStyle::DefaultButtonTransparency()
{
  return GetBaseStyle() == this ? TcxEditButtonTransparency::ebtNone : GetEditBaseStyle()->GetButtonTransparency();
}

bool TcxCustomEditStyle::DefaultGradient()
{
  return GetBaseStyle() == this ? false : GetEditBaseStyle()->GetGradient();
}

bool TcxCustomEditStyle::DefaultGradientButtons()
{
  return GetBaseStyle() == this ? false : GetEditBaseStyle()->GetGradientButtons();
}

TcxEditGradientDirection TcxCustomEditStyle::DefaultGradientDirection()
{
  return GetBaseStyle() == this ? TcxDirection::dirDown : GetEditBaseStyle()->GetGradientDirection();
}

TcxEditPopupBorderStyle TcxCustomEditStyle::DefaultPopupBorderStyle()
{
  return GetBaseStyle() == this ? TcxEditPopupBorderStyle::epbsDefault : GetEditBaseStyle()->GetPopupBorderStyle();
}

TcxStyleController* TcxCustomEditStyle::GetDefaultStyleController()
{
  // In-place editors and styles made for drawing follow no controller.
  if (GetDirectAccessMode() || cxEditIsInplaceEditor(GetOwner()))
    return nullptr;
  return cxDefaultEditStyleController();
}

TcxContainerStyleValues TcxCustomEditStyle::GetExtendedStyleHiddenValues()
{
  return inherited::GetExtendedStyleHiddenValues() +
         TcxContainerStyleValues{svButtonTransparency, svPopupBorderStyle, svGradientButtons, svGradient,
                                 svGradientDirection};
}

TcxCustomEditStyle* TcxCustomEditStyle::FindValueHolder(TcxContainerStyleValue AValue)
{
  if (GetAssignedValues().Contains(AValue))
    return this;
  TcxContainerStyle* controllerStyle = FindControllerStyle(AValue);
  return rtl::Is<TcxCustomEditStyle>(controllerStyle) ? static_cast<TcxCustomEditStyle*>(controllerStyle) : nullptr;
}

template <typename T>
void TcxCustomEditStyle::SetOwnValue(T TcxCustomEditStyle::*AField, T AValue, TcxContainerStyleValue AStyleValue)
{
  const TcxContainerStyleValues assigned = GetAssignedValues();
  if (assigned.Contains(AStyleValue) && this->*AField == AValue)
    return;
  // Marking the value assigned refreshes the font too: one announcement.
  BeginUpdate();
  try {
    this->*AField = AValue;
    if (assigned.Contains(AStyleValue))
      Changed();
    else
      SetAssignedValues(assigned + TcxContainerStyleValues{AStyleValue});
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

template <typename T>
T TcxCustomEditStyle::ResolveValue(T TcxCustomEditStyle::*AField, TcxContainerStyleValue AStyleValue,
                                   T (TcxCustomEditStyle::*ADefault)())
{
  if (GetDirectAccessMode())
    return GetAssignedValues().Contains(AStyleValue) ? this->*AField : (this->*ADefault)();
  if (TcxCustomEditStyle* holder = FindValueHolder(AStyleValue))
    return holder->*AField;
  return (this->*ADefault)();
}

// ---------------------------------------------------------------------------
// TcxEditStyleController

TcxContainerStyleClass TcxEditStyleController::GetStyleClass()
{
  return TcxContainerStyleClass::Of<TcxEditStyle>();
}
