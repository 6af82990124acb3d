// The button's behaviour: its part objects' settings, the speed-button
// options with their groups and the action link, and the button window
// (creation, the paint entry, the click road, mouse, keyboard, drop-down
// menu, repeat click, fading). Layout and painting: cxButtonsPainting.cpp.
#include "simplecontrols/cxButtons.h"

#include <windowsx.h>

#include <algorithm>

#include "controls/cxBufferedPaint.h"
#include "controls/cxPopupMenus.h"
#include "core/cxClasses.h"
#include "core/cxGeometry.h"
#include "core/dxCore.h"
#include "core/dxThemeManager.h"
#include "core/dxUxTheme.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/GraphicsHandles.h"

using rtl::String;
using rtl::TComponent;
using rtl::TMessage;
using rtl::TObject;
using vcl::TColor;

namespace {

constexpr UINT kRepeatFirstDelay = 400;
constexpr UINT kRepeatInterval = 100;

// The caption as shown: each '&' dropped and the character after it kept, a
// trailing '&' shown as '_', a single blank for an empty result.
String StripAccelerators(const String& ACaption)
{
  String result;
  for (std::size_t i = 0; i < ACaption.size(); ++i) {
    if (ACaption[i] != L'&') {
      result += ACaption[i];
      continue;
    }
    if (i + 1 == ACaption.size())
      result += L'_';
    else
      result += ACaption[++i];
  }
  return result.empty() ? String(L" ") : result;
}

wchar_t UpperChar(wchar_t AChar)
{
  return static_cast<wchar_t>(
      reinterpret_cast<UINT_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(AChar)))));
}

// Whether AChar is the caption's accelerator: the character after its
// first single '&'.
bool IsAccelerator(wchar_t AChar, const String& ACaption)
{
  for (std::size_t i = 0; i + 1 < ACaption.size(); ++i) {
    if (ACaption[i] != L'&')
      continue;
    if (ACaption[i + 1] != L'&')
      return UpperChar(ACaption[i + 1]) == UpperChar(AChar);
    ++i;
  }
  return false;
}

// The look a fade starts from or returns to.
TcxButtonState RestingState(bool AFocused, bool ACanBeFocused)
{
  return AFocused && ACanBeFocused ? TcxButtonState::cxbsDefault : TcxButtonState::cxbsNormal;
}

}  // namespace

// ---------------------------------------------------------------------------
// TcxButtonCustomPersistent

rtl::TPersistent* TcxButtonCustomPersistent::GetOwner()
{
  return FButton;
}

// ---------------------------------------------------------------------------
// TcxButtonColors

void TcxButtonColors::Create(TcxCustomButton* AOwner)
{
  inherited::Create(AOwner);
  FColors.fill(vcl::clDefault);
}

void TcxButtonColors::Assign(rtl::TPersistent* ASource)
{
  if (!rtl::Is<TcxButtonColors>(ASource)) {
    inherited::Assign(ASource);
    return;
  }
  const auto* source = static_cast<TcxButtonColors*>(ASource);
  FColors = source->FColors;
  FAssignedColors = source->FAssignedColors;
  if (FButton)
    FButton->Invalidate();
}

void TcxButtonColors::SetColor(TcxButtonAssignedColor AIndex, TColor AValue)
{
  if (AValue == vcl::clNone || AValue == vcl::clDefault) {
    FColors[AIndex] = vcl::clDefault;
    FAssignedColors.Exclude(AIndex);
  } else {
    if (FColors[AIndex] == AValue)
      return;
    FColors[AIndex] = AValue;
    FAssignedColors.Include(AIndex);
  }
  if (FButton)
    FButton->Invalidate();
}

void TcxButtonColors::SetAssignedColors(TcxButtonAssignedColors AValue)
{
  if (!FButton || !FButton->GetComponentState().Contains(rtl::TComponentStateFlag::csDesigning))
    return;
  for (int i = 0; i < static_cast<int>(FColors.size()); ++i) {
    const auto entry = static_cast<TcxButtonAssignedColor>(i);
    if (!AValue.Contains(entry))
      FColors[entry] = vcl::clDefault;
    else if (FColors[entry] == vcl::clDefault)
      AValue.Exclude(entry);
  }
  FAssignedColors = AValue;
  FButton->Invalidate();
}

// The entries come in pairs (background, text) in the order Default,
// Disabled, Hot, Normal, Pressed; AOffset 1 picks the text entry.
TColor TcxButtonColors::ByState(TcxButtonState AState, TcxButtonAssignedColor ANormalEntry,
                                TcxButtonAssignedColor ADefaultEntry, int AOffset) const
{
  static constexpr TcxButtonAssignedColor kEntries[] = {
      TcxButtonAssignedColor::cxbcDefault, TcxButtonAssignedColor::cxbcNormal, TcxButtonAssignedColor::cxbcHot,
      TcxButtonAssignedColor::cxbcPressed, TcxButtonAssignedColor::cxbcDisabled};
  const auto entry = static_cast<TcxButtonAssignedColor>(static_cast<int>(kEntries[AState]) + AOffset);
  if (FAssignedColors.Contains(entry))
    return FColors[entry];
  return AState == TcxButtonState::cxbsNormal ? FColors[ADefaultEntry] : FColors[ANormalEntry];
}

TColor TcxButtonColors::GetColorByState(TcxButtonState AState) const
{
  return ByState(AState, TcxButtonAssignedColor::cxbcNormal, TcxButtonAssignedColor::cxbcDefault, 0);
}

TColor TcxButtonColors::GetTextColorByState(TcxButtonState AState) const
{
  return ByState(AState, TcxButtonAssignedColor::cxbcNormalText, TcxButtonAssignedColor::cxbcDefaultText, 1);
}

// ---------------------------------------------------------------------------
// TcxButtonGlyph

void TcxButtonGlyph::Create(TcxCustomButton* AOwner)
{
  inherited::Create(AOwner);
  FGlyph = rtl::New<TdxSmartGlyph>();
  FGlyph->SetOnChange(rtl::TNotifyEvent::Bind<&TcxButtonGlyph::GlyphChanged>(this));
  FImageChangeLink = rtl::New<vcl::TChangeLink>();
  FImageChangeLink->SetOnChange(rtl::TNotifyEvent::Bind<&TcxButtonGlyph::ImageListChanged>(this));
  FImageIndex = -1;
  FNumGlyphs = 1;
}

void TcxButtonGlyph::Destroy()
{
  if (FImages)
    FImages->UnRegisterChanges(FImageChangeLink);
  rtl::FreeAndNil(FImageChangeLink);
  rtl::FreeAndNil(FGlyph);
  inherited::Destroy();
}

void TcxButtonGlyph::SetGlyph(vcl::TGraphic* AValue)
{
  FGlyph->Assign(AValue);
  CalculateNumGlyphs();
}

void TcxButtonGlyph::SetImageIndex(int AValue)
{
  if (FImageIndex == AValue)
    return;
  FImageIndex = AValue;
  if (FGlyph->GetEmpty() && FImages)
    CalculateNumGlyphs();
}

void TcxButtonGlyph::SetImages(vcl::TCustomImageList* AValue)
{
  if (FImages == AValue)
    return;
  if (FImages) {
    FImages->UnRegisterChanges(FImageChangeLink);
    if (FButton)
      FImages->RemoveFreeNotification(FButton);
  }
  FImages = AValue;
  if (FImages) {
    FImages->RegisterChanges(FImageChangeLink);
    if (FButton)
      FImages->FreeNotification(FButton);
  }
  CalculateNumGlyphs();
}

void TcxButtonGlyph::SetNumGlyphs(vcl::TNumGlyphs AValue)
{
  AValue = std::clamp(AValue, 1, 4);
  if (FNumGlyphs == AValue)
    return;
  FNumGlyphs = AValue;
  Changed();
}

bool TcxButtonGlyph::IsImageAssigned()
{
  if (!FGlyph->GetEmpty())
    return true;
  return FImages && FImageIndex >= 0 && FImageIndex < FImages->GetCount();
}

TSize TcxButtonGlyph::GetImageSize()
{
  return FButton->GetViewInfo()->ImageSize();
}

void TcxButtonGlyph::Notification(TComponent* AComponent)
{
  if (AComponent == FImages)
    SetImages(nullptr);
}

void TcxButtonGlyph::Changed()
{
  if (FOnChange)
    FOnChange(this);
}

void TcxButtonGlyph::GlyphChanged(TObject* /*ASender*/)
{
  Changed();
}

void TcxButtonGlyph::ImageListChanged(TObject* ASender)
{
  if (ASender == FImages)
    CalculateNumGlyphs();
}

void TcxButtonGlyph::CalculateNumGlyphs()
{
  int count = 1;
  if (!FGlyph->GetEmpty()) {
    const int width = FGlyph->GetSourceWidth();
    const int height = FGlyph->GetSourceHeight();
    if (height > 0 && width % height == 0 && width / height < 5)
      count = std::max(width / height, 1);
  }
  FNumGlyphs = count;
  Changed();
}

// ---------------------------------------------------------------------------
// TcxButtonImageOptions

void TcxButtonImageOptions::Create(TcxCustomButton* AOwner)
{
  inherited::Create(AOwner);
  FImageIndex = -1;
  FLayout = vcl::TButtonLayout::blGlyphLeft;
  FMargin = -1;
  FSpacing = 4;
}

void TcxButtonImageOptions::Assign(rtl::TPersistent* ASource)
{
  if (!rtl::Is<TcxButtonImageOptions>(ASource)) {
    inherited::Assign(ASource);
    return;
  }
  auto* source = static_cast<TcxButtonImageOptions*>(ASource);
  SetGlyph(source->GetGlyph());
  SetImageIndex(source->GetImageIndex());
  SetImages(source->GetImages());
  SetLayout(source->GetLayout());
  SetMargin(source->GetMargin());
  SetNumGlyphs(source->GetNumGlyphs());
  SetSpacing(source->GetSpacing());
}

TdxSmartGlyph* TcxButtonImageOptions::GetGlyph() const
{
  return FButton->FGlyph->GetGlyph();
}

void TcxButtonImageOptions::SetGlyph(TdxSmartGlyph* AValue)
{
  FButton->FGlyph->SetGlyph(AValue);
}

void TcxButtonImageOptions::SetImageIndex(int AValue)
{
  if (FImageIndex == AValue)
    return;
  FImageIndex = AValue;
  Changed();
}

void TcxButtonImageOptions::SetImages(vcl::TCustomImageList* AValue)
{
  if (FImages == AValue)
    return;
  if (FImages)
    FImages->RemoveFreeNotification(FButton);
  FImages = AValue;
  if (FImages)
    FImages->FreeNotification(FButton);
  Changed();
}

void TcxButtonImageOptions::SetLayout(vcl::TButtonLayout AValue)
{
  if (FLayout == AValue)
    return;
  FLayout = AValue;
  Changed();
}

void TcxButtonImageOptions::SetMargin(int AValue)
{
  if (AValue < -1 || FMargin == AValue)
    return;
  FMargin = AValue;
  Changed();
}

vcl::TNumGlyphs TcxButtonImageOptions::GetNumGlyphs() const
{
  return FButton->FGlyph->GetNumGlyphs();
}

void TcxButtonImageOptions::SetNumGlyphs(vcl::TNumGlyphs AValue)
{
  if (GetNumGlyphs() != AValue)
    FButton->FGlyph->SetNumGlyphs(AValue);
}

void TcxButtonImageOptions::SetSpacing(int AValue)
{
  if (FSpacing == AValue)
    return;
  FSpacing = AValue;
  Changed();
}

void TcxButtonImageOptions::Changed()
{
  FButton->UpdateImageInfo();
  FButton->Invalidate();
}

void TcxButtonImageOptions::Notification(TComponent* AComponent)
{
  if (AComponent == FImages)
    SetImages(nullptr);
}

bool TcxButtonImageOptions::IsImageIndexStored()
{
  auto* link = FButton->GetActionLink();
  return !link || !link->IsImageIndexLinked();
}

// ---------------------------------------------------------------------------
// TcxSpeedButtonOptions

void TcxSpeedButtonOptions::Create(TcxCustomButton* AOwner)
{
  inherited::Create(AOwner);
  FCanBeFocused = true;
}

void TcxSpeedButtonOptions::Assign(rtl::TPersistent* ASource)
{
  if (!rtl::Is<TcxSpeedButtonOptions>(ASource)) {
    inherited::Assign(ASource);
    return;
  }
  auto* source = static_cast<TcxSpeedButtonOptions*>(ASource);
  SetGroupIndex(source->GetGroupIndex());
  SetAllowAllUp(source->GetAllowAllUp());
  SetCanBeFocused(source->GetCanBeFocused());
  SetDown(source->GetDown());
  SetFlat(source->GetFlat());
  SetTransparent(source->GetTransparent());
}

void TcxSpeedButtonOptions::EndUpdate()
{
  --FLockCount;
  UpdateGroup();
}

void TcxSpeedButtonOptions::SetAllowAllUp(bool AValue)
{
  if (FAllowAllUp == AValue)
    return;
  FAllowAllUp = AValue;
  UpdateGroup();
}

void TcxSpeedButtonOptions::SetCanBeFocused(bool AValue)
{
  if (FCanBeFocused == AValue)
    return;
  FCanBeFocused = AValue;
  if (FButton)
    FButton->Repaint();
  UpdateGroup();
}

bool TcxSpeedButtonOptions::GetDown() const
{
  return FButton && FButton->FInternalStates.Contains(TcxButtonInternalState::bisDown);
}

void TcxSpeedButtonOptions::SetDown(bool AValue)
{
  if (!HasAction())
    InternalSetDown(AValue);
}

void TcxSpeedButtonOptions::SetFlat(bool AValue)
{
  if (FFlat == AValue)
    return;
  FFlat = AValue;
  if (Active())
    FButton->Invalidate();
  UpdateGroup();
}

void TcxSpeedButtonOptions::SetGroupIndex(int AValue)
{
  if (FGroupIndex == AValue)
    return;
  FGroupIndex = AValue;
  if (FGroupIndex == 0)
    InternalSetDown(false);
  else
    UpdateGroup();
}

void TcxSpeedButtonOptions::SetTransparent(bool AValue)
{
  if (FTransparent == AValue)
    return;
  FTransparent = AValue;
  if (Active())
    FButton->Invalidate();
  UpdateGroup();
}

bool TcxSpeedButtonOptions::Active() const
{
  return FButton && (FGroupIndex != 0 || !FCanBeFocused);
}

void TcxSpeedButtonOptions::InternalSetDown(bool AValue)
{
  if (!FButton)
    return;
  if (FGroupIndex == 0 && !HasAction())
    AValue = false;
  if (AValue == GetDown())
    return;
  const bool designing = FButton->IsDesigning();
  if (!AValue && !FAllowAllUp && FGroupIndex != 0 && FLockCount == 0 && !HasAction() && !designing)
    return;
  if (AValue) {
    FButton->IncludeInternalState(TcxButtonInternalState::bisDown);
    UpdateGroup();
  } else {
    FButton->ExcludeInternalState(TcxButtonInternalState::bisDown);
  }
  FButton->Invalidate();
}

void TcxSpeedButtonOptions::UpdateGroup()
{
  if (FLockCount != 0 || !Active() || FGroupIndex == 0 || !FButton->GetParent())
    return;
  TMessage message{rtl::CM_BUTTONPRESSED, static_cast<WPARAM>(FGroupIndex), reinterpret_cast<LPARAM>(FButton), 0};
  FButton->GetParent()->Broadcast(message);
}

bool TcxSpeedButtonOptions::IsDownStored()
{
  auto* link = FButton ? FButton->GetActionLink() : nullptr;
  return !link || !link->IsCheckedLinked();
}

bool TcxSpeedButtonOptions::IsGroupIndexStored()
{
  auto* link = FButton ? FButton->GetActionLink() : nullptr;
  if (!link || !rtl::Is<vcl::TCustomAction>(FButton->GetAction()))
    return true;
  return static_cast<vcl::TCustomAction*>(FButton->GetAction())->GetGroupIndex() != FGroupIndex;
}

bool TcxSpeedButtonOptions::HasAction() const
{
  return FButton && FButton->GetAction() != nullptr;
}

// ---------------------------------------------------------------------------
// TcxButtonActionLink

TcxCustomButton* TcxButtonActionLink::Button() const
{
  return static_cast<TcxCustomButton*>(FButton);
}

void TcxButtonActionLink::Destroy()
{
  TcxCustomButton* button = Button();
  if (button && !button->IsDestroying()) {
    button->FGlyph->SetImages(nullptr);
    button->FGlyph->SetImageIndex(-1);
  }
  inherited::Destroy();
}

bool TcxButtonActionLink::IsImageIndexLinked()
{
  return inherited::IsImageIndexLinked() && rtl::Is<vcl::TCustomAction>(FAction) &&
         Button()->FOptionsImage->GetImageIndex() == static_cast<vcl::TCustomAction*>(FAction)->GetImageIndex();
}

void TcxButtonActionLink::SetChecked(bool AValue)
{
  inherited::SetChecked(AValue);
  if (IsCheckedLinked())
    Button()->FSpeedButtonOptions->InternalSetDown(AValue);
}

void TcxButtonActionLink::SetGroupIndex(int AValue)
{
  inherited::SetGroupIndex(AValue);
  if (IsGroupIndexLinked())
    Button()->SetGroupIndex(AValue);
}

void TcxButtonActionLink::SetImageIndex(int AValue)
{
  inherited::SetImageIndex(AValue);
  if (IsImageIndexLinked())
    Button()->FOptionsImage->SetImageIndex(AValue);
}

// ---------------------------------------------------------------------------
// TcxCustomButton: life

void TcxCustomButton::Create(TComponent* AOwner)
{
  inherited::Create(AOwner);
  FViewInfo = CreateViewInfo();
  FGlyph = GetGlyphClass().Create(this);
  FGlyph->SetOnChange(rtl::TNotifyEvent::Bind<&TcxCustomButton::GlyphChanged>(this));
  FColors = rtl::New<TcxButtonColors>(this);
  FControlCanvas = rtl::New<vcl::TControlCanvas>();
  FControlCanvas->SetControl(this);
  FCanvas = rtl::New<TcxCanvas>(FControlCanvas);
  FLookAndFeel = rtl::New<TcxLookAndFeel>(this);
  FLookAndFeel->SetOnChanged(TcxLookAndFeelChangedEvent::Bind<&TcxCustomButton::LookAndFeelChanged>(this));
  FScaleFactor = rtl::New<TdxScaleFactor>();
  FScaleFactor->ListenerAdd(TdxScaleFactorNotifyEvent::Bind<&TcxCustomButton::ScaleFactorChanged>(this));
  FSpeedButtonOptions = rtl::New<TcxSpeedButtonOptions>(this);
  FOptionsImage = CreateOptionsImage();
  FButtonPressTimer = cxNewTimer(1000, false, rtl::TNotifyEvent::Bind<&TcxCustomButton::RepeatClickTimerHandler>(this));
  FKind = TcxButtonKind::cxbkStandard;
  FPopupAlignment = vcl::TPopupAlignment::paLeft;
  FShowFocusRect = true;
  FMouseTrackingCaller = rtl::New<TcxButtonMouseTrackingCaller>(this);
  SetDoubleBuffered(true);
  FControlStyle.Include(vcl::TControlStyleItem::csOpaque);
  FControlStyle.Include(vcl::TControlStyleItem::csReflector);
  FControlStyle.Include(vcl::TControlStyleItem::csOverrideStylePaint);
}

void TcxCustomButton::Destroy()
{
  if (TdxFader* fader = dxGetFader())
    fader->Remove(this, true);
  cxEndMouseTracking(FMouseTrackingCaller);
  rtl::FreeAndNil(FMouseTrackingCaller);
  rtl::FreeAndNil(FButtonPressTimer);
  rtl::FreeAndNil(FOptionsImage);
  rtl::FreeAndNil(FSpeedButtonOptions);
  rtl::FreeAndNil(FLookAndFeel);
  if (FScaleFactor)
    FScaleFactor->ListenerRemove(TdxScaleFactorNotifyEvent::Bind<&TcxCustomButton::ScaleFactorChanged>(this));
  rtl::FreeAndNil(FScaleFactor);
  rtl::FreeAndNil(FColors);
  rtl::FreeAndNil(FCanvas);
  rtl::FreeAndNil(FControlCanvas);
  rtl::FreeAndNil(FGlyph);
  rtl::FreeAndNil(FViewInfo);
  inherited::Destroy();
}

TcxButtonImageOptions* TcxCustomButton::CreateOptionsImage()
{
  return rtl::New<TcxButtonImageOptions>(this);
}

TcxButtonViewInfo* TcxCustomButton::CreateViewInfo()
{
  return rtl::New<TcxButtonViewInfo>(this);
}

rtl::ClassOf<TcxButtonGlyph> TcxCustomButton::GetGlyphClass()
{
  return rtl::ClassOf<TcxButtonGlyph>::Of<TcxButtonGlyph>();
}

bool TcxCustomButton::IsDesigning() const
{
  return GetComponentState().Contains(rtl::TComponentStateFlag::csDesigning);
}

bool TcxCustomButton::IsDestroying() const
{
  return GetComponentState().Contains(rtl::TComponentStateFlag::csDestroying);
}

// The native button keeps its command-link and split-button styles off
// (we draw those ourselves) and asks us to draw every paint.
void TcxCustomButton::CreateParams(vcl::TCreateParams& AParams)
{
  inherited::CreateParams(AParams);
  if (dxOSIsWindowsVistaOrLater) {
    if (GetStyle() == vcl::TButtonStyle::bsCommandLink)
      AParams.Style ^= GetDefault() ? 0x0F : 0x0E;
    else if (GetStyle() == vcl::TButtonStyle::bsSplitButton)
      AParams.Style ^= GetDefault() ? 0x0D : 0x0C;
  }
  if (!UseNativePaint())
    AParams.Style |= BS_OWNERDRAW;
}

void TcxCustomButton::DestroyWindowHandle()
{
  if (FInternalStates.Contains(TcxButtonInternalState::bisMenuVisible))
    Perform(DXM_CLOSEUPPOPUPMENU, 0, 0);
  inherited::DestroyWindowHandle();
}

void TcxCustomButton::SetParent(vcl::TWinControl* AParent)
{
  if (AParent == GetParent() && !GetComponentState().Contains(rtl::TComponentStateFlag::csReading))
    return;
  inherited::SetParent(AParent);
  // The scale follows the new parent's.
  rtl::IPtr<IdxScaleFactor> parentScale;
  if (AParent && rtl::Supports<IdxScaleFactor>(AParent, &parentScale))
    FScaleFactor->Assign(parentScale->GetScaleFactor());
}

void TcxCustomButton::ChangeScale(int M, int D, bool AIsDpiChange)
{
  FScaleFactor->Change(M, D);
  inherited::ChangeScale(M, D, AIsDpiChange);
  FLookAndFeel->Refresh();
}

void TcxCustomButton::ScaleFactorChanged(TObject* /*ASender*/, int M, int D, bool AIsLoading)
{
  if (!AIsLoading)
    ScaleOptionsImage(M, D);
}

void TcxCustomButton::ScaleOptionsImage(int M, int D)
{
  if (FOptionsImage->GetMargin() != -1)
    FOptionsImage->SetMargin(MulDiv(FOptionsImage->GetMargin(), M, D));
  if (FOptionsImage->GetSpacing() != -1)
    FOptionsImage->SetSpacing(MulDiv(FOptionsImage->GetSpacing(), M, D));
}

void TcxCustomButton::LookAndFeelChanged(TcxLookAndFeel* /*ASender*/, TcxLookAndFeelValues /*AChangedValues*/)
{
  if (FUseSystemPaint && HandleAllocated())
    RecreateWnd();
  else
    Invalidate();
}

void TcxCustomButton::GlyphChanged(TObject* /*ASender*/)
{
  Invalidate();
}

void TcxCustomButton::Notification(TComponent* AComponent, rtl::TOperation AOperation)
{
  inherited::Notification(AComponent, AOperation);
  if (AOperation != rtl::TOperation::opRemove)
    return;
  if (FOptionsImage)
    FOptionsImage->Notification(AComponent);
  if (FGlyph)
    FGlyph->Notification(AComponent);
  if (AComponent == FDropDownMenu)
    FDropDownMenu = nullptr;
  if (AComponent == FPopupMenu)
    FPopupMenu = nullptr;
}

// ---------------------------------------------------------------------------
// Derived values and states

bool TcxCustomButton::GetEffectiveCanBeFocused()
{
  return (FSpeedButtonOptions && FSpeedButtonOptions->GetCanBeFocused()) || !IsSpeedButtonSupported();
}

int TcxCustomButton::GetEffectiveGroupIndex()
{
  return IsSpeedButtonSupported() ? FSpeedButtonOptions->GetGroupIndex() : 0;
}

bool TcxCustomButton::IsSpeedButtonMode()
{
  return !GetEffectiveCanBeFocused() || GetEffectiveGroupIndex() != 0;
}

bool TcxCustomButton::IsHotTrack()
{
  if (!UseNativePaint() && GetLookAndFeelPainter()->IsButtonHotTrack())
    return true;
  return FKind == TcxButtonKind::cxbkCommandLink && GetEnabled();
}

TcxButtonState TcxCustomButton::GetButtonState()
{
  if (!GetEnabled())
    return TcxButtonState::cxbsDisabled;
  if (FIsPaintPressed)
    return TcxButtonState::cxbsPressed;
  if (FInternalStates.Contains(TcxButtonInternalState::bisHot) && IsHotTrack())
    return TcxButtonState::cxbsHot;
  return FIsPaintDefault ? TcxButtonState::cxbsDefault : TcxButtonState::cxbsNormal;
}

// Office-like buttons look dated: without a skin, they take the themed
// look when the theme has buttons, else the standard one.
TcxCustomLookAndFeelPainter* TcxCustomButton::GetLookAndFeelPainter()
{
  TcxCustomLookAndFeelPainter* painter = FLookAndFeel->GetPainter();
  // A look and feel whose style has no registered painter (the themed one
  // in a program without it) has none: the button draws in the standard
  // look rather than fail.
  if (!painter)
    return cxLookAndFeelPaintersManager()->GetPainter(TcxLookAndFeelStyle::lfsStandard);
  if (!FLookAndFeel->GetSkinPainter() && painter->LookAndFeelStyle() == TcxLookAndFeelStyle::lfsOffice11) {
    const auto style = dxThemeClassAvailable(TdxThemedObjectType::totButton) ? TcxLookAndFeelStyle::lfsNative
                                                                              : TcxLookAndFeelStyle::lfsStandard;
    if (TcxCustomLookAndFeelPainter* replacement = cxLookAndFeelPaintersManager()->GetPainter(style))
      painter = replacement;
  }
  return painter;
}

TRect TcxCustomButton::GetMenuButtonBounds()
{
  const TRect client = GetClientRect();
  switch (FKind) {
    case TcxButtonKind::cxbkStandard:
      return {};
    case TcxButtonKind::cxbkDropDownButton: {
      const int width = FViewInfo->GetPainter()->GetDropDownButtonSize();
      return {client.right - width, client.top, client.right, client.bottom};
    }
    default:
      return client;
  }
}

bool TcxCustomButton::IsPointInMenuPart(const TPoint& P)
{
  const TRect part = GetMenuButtonBounds();
  return PtInRect(&part, P) != FALSE;
}

void TcxCustomButton::SetInternalState(TcxButtonInternalStates AValue)
{
  if (FInternalStates == AValue)
    return;
  const TcxButtonState before = GetButtonState();
  FInternalStates = AValue;
  CheckStartFading(before, GetButtonState());
  Invalidate();
}

void TcxCustomButton::IncludeInternalState(TcxButtonInternalState AState)
{
  TcxButtonInternalStates states = FInternalStates;
  states.Include(AState);
  SetInternalState(states);
}

void TcxCustomButton::ExcludeInternalState(TcxButtonInternalState AState)
{
  TcxButtonInternalStates states = FInternalStates;
  states.Exclude(AState);
  SetInternalState(states);
}

bool TcxCustomButton::CanFocus()
{
  return inherited::CanFocus() && (GetEffectiveCanBeFocused() || IsDesigning());
}

bool TcxCustomButton::UseRightToLeftAlignment() const
{
  if (const_cast<TcxCustomButton*>(this)->UseNativePaint())
    return inherited::UseRightToLeftAlignment();
  return GetSystemMetrics(SM_MIDEASTENABLED) != 0 && GetBiDiMode() == vcl::TBiDiMode::bdRightToLeft;
}

TSize TcxCustomButton::GetOptimalSize()
{
  vcl::TScreenDC dc;
  vcl::TSelectObjectGuard font(dc.Get(), GetFont()->GetHandle());
  const auto textWidth = [&](const String& AText) {
    SIZE size{};
    GetTextExtentPoint32W(dc.Get(), AText.c_str(), static_cast<int>(AText.size()), &size);
    return static_cast<int>(size.cx);
  };
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.Get(), &metrics);
  return {textWidth(StripAccelerators(GetText())) + 3 * textWidth(L"R"), MulDiv(metrics.tmHeight, 14, 8)};
}

// ---------------------------------------------------------------------------
// Properties

bool TcxCustomButton::GetAllowAllUp() const
{
  return FSpeedButtonOptions->GetAllowAllUp();
}

void TcxCustomButton::SetAllowAllUp(bool AValue)
{
  FSpeedButtonOptions->SetAllowAllUp(AValue);
}

bool TcxCustomButton::GetCanBeFocused() const
{
  return FSpeedButtonOptions->GetCanBeFocused();
}

void TcxCustomButton::SetCanBeFocused(bool AValue)
{
  FSpeedButtonOptions->SetCanBeFocused(AValue);
}

bool TcxCustomButton::GetDown() const
{
  return FSpeedButtonOptions->GetDown();
}

void TcxCustomButton::SetDown(bool AValue)
{
  FSpeedButtonOptions->SetDown(AValue);
}

int TcxCustomButton::GetGroupIndex() const
{
  return FSpeedButtonOptions->GetGroupIndex();
}

void TcxCustomButton::SetGroupIndex(int AValue)
{
  FSpeedButtonOptions->SetGroupIndex(AValue);
}

TdxSmartGlyph* TcxCustomButton::GetGlyph() const
{
  return FOptionsImage->GetGlyph();
}

void TcxCustomButton::SetGlyph(TdxSmartGlyph* AValue)
{
  FOptionsImage->SetGlyph(AValue);
}

vcl::TButtonLayout TcxCustomButton::GetLayout() const
{
  return FOptionsImage->GetLayout();
}

void TcxCustomButton::SetLayout(vcl::TButtonLayout AValue)
{
  FOptionsImage->SetLayout(AValue);
}

int TcxCustomButton::GetMargin() const
{
  return FOptionsImage->GetMargin();
}

void TcxCustomButton::SetMargin(int AValue)
{
  FOptionsImage->SetMargin(AValue);
}

vcl::TNumGlyphs TcxCustomButton::GetNumGlyphs() const
{
  return FOptionsImage->GetNumGlyphs();
}

void TcxCustomButton::SetNumGlyphs(vcl::TNumGlyphs AValue)
{
  FOptionsImage->SetNumGlyphs(AValue);
}

int TcxCustomButton::GetSpacing() const
{
  return FOptionsImage->GetSpacing();
}

void TcxCustomButton::SetSpacing(int AValue)
{
  FOptionsImage->SetSpacing(AValue);
}

void TcxCustomButton::SetDescription(const String& AValue)
{
  if (FDescription == AValue)
    return;
  FDescription = AValue;
  Invalidate();
}

// Only what can serve as a popup menu; anything else is taken as nil.
void TcxCustomButton::SetDropDownMenu(TComponent* AValue)
{
  if (!cxIsPopupMenu(AValue))
    AValue = nullptr;
  if (FDropDownMenu == AValue)
    return;
  if (FDropDownMenu)
    FDropDownMenu->RemoveFreeNotification(this);
  FDropDownMenu = AValue;
  if (FDropDownMenu)
    FDropDownMenu->FreeNotification(this);
}

void TcxCustomButton::SetCxPopupMenu(TComponent* AValue)
{
  if (!cxIsPopupMenu(AValue))
    AValue = nullptr;
  if (FPopupMenu == AValue)
    return;
  if (FPopupMenu)
    FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = AValue;
  if (FPopupMenu)
    FPopupMenu->FreeNotification(this);
}

void TcxCustomButton::SetKind(TcxButtonKind AValue)
{
  if (FKind == AValue)
    return;
  SetStyle(AValue == TcxButtonKind::cxbkCommandLink ? vcl::TButtonStyle::bsCommandLink
                                                    : vcl::TButtonStyle::bsPushButton);
  FKind = AValue;
  RecreateWnd();
}

void TcxCustomButton::SetPaintStyle(TcxButtonPaintStyle AValue)
{
  if (FPaintStyle == AValue)
    return;
  FPaintStyle = AValue;
  Invalidate();
}

void TcxCustomButton::SetUseSystemPaint(bool AValue)
{
  if (FUseSystemPaint == AValue)
    return;
  FUseSystemPaint = AValue;
  if (HandleAllocated())
    RecreateWnd();
}

// ---------------------------------------------------------------------------
// Action

void TcxCustomButton::ActionChange(TObject* ASender, bool ACheckDefaults)
{
  inherited::ActionChange(ASender, ACheckDefaults);
  if (auto* action = rtl::Is<vcl::TCustomAction>(ASender) ? static_cast<vcl::TCustomAction*>(ASender) : nullptr;
      action && (!ACheckDefaults || FOptionsImage->GetImageIndex() == -1)) {
    FOptionsImage->SetImageIndex(action->GetImageIndex());
    FSpeedButtonOptions->SetGroupIndex(action->GetGroupIndex());
    FSpeedButtonOptions->InternalSetDown(action->GetChecked());
  }
  UpdateImageInfo();
}

rtl::ClassOf<vcl::TControlActionLink> TcxCustomButton::GetActionLinkClass()
{
  return rtl::ClassOf<vcl::TControlActionLink>::Of<TcxButtonActionLink>();
}

void TcxCustomButton::UpdateImageInfo()
{
  if (!FGlyph || !FOptionsImage)
    return;
  vcl::TCustomImageList* images = FOptionsImage->GetImages();
  if (!images && rtl::Is<vcl::TCustomAction>(GetAction())) {
    auto* action = static_cast<vcl::TCustomAction*>(GetAction());
    if (action->GetActionList())
      images = action->GetActionList()->GetImages();
  }
  FGlyph->SetImages(images);
  FGlyph->SetImageIndex(FOptionsImage->GetImageIndex());
}

// ---------------------------------------------------------------------------
// Messages

// A non-focusable button keeps the press from the native button, which
// would take the focus and report BN_CLICKED: the press goes straight to
// MouseDown (or DblClick) instead.
void TcxCustomButton::WndProc(TMessage& AMessage)
{
  if (!IsDesigning() && !GetEffectiveCanBeFocused() &&
      (AMessage.Msg == WM_LBUTTONDOWN || AMessage.Msg == WM_LBUTTONDBLCLK)) {
    if (AMessage.Msg == WM_LBUTTONDOWN)
      MouseDown(vcl::TMouseButton::mbLeft, vcl::KeysToShiftState(static_cast<WORD>(AMessage.WParam)),
                LOWORD(AMessage.LParam), HIWORD(AMessage.LParam));
    else
      DblClick();
    return;
  }
  inherited::WndProc(AMessage);
}

void TcxCustomButton::WMPaint(TMessage& AMessage)
{
  // The native button paints and asks us to draw through WM_DRAWITEM.
  DefaultHandler(AMessage);
}

void TcxCustomButton::WMEraseBkgnd(TMessage& AMessage)
{
  AMessage.Result = 1;
}

void TcxCustomButton::CNDrawItem(vcl::TWMDrawItem& AMessage)
{
  if (IsDestroying())
    return;
  const DRAWITEMSTRUCT& item = *AMessage.DrawItemStruct;
  const TcxButtonState before = GetButtonState();
  const bool menuOfWholeButton = FKind == TcxButtonKind::cxbkDropDown || FKind == TcxButtonKind::cxbkOfficeDropDown;
  FIsPaintPressed = ((item.itemState & ODS_SELECTED) != 0 &&
                     !FInternalStates.Contains(TcxButtonInternalState::bisMenuButtonPressed)) ||
                    (FInternalStates.Contains(TcxButtonInternalState::bisMenuVisible) && menuOfWholeButton) ||
                    GetDown() ||
                    (FInternalStates.Contains(TcxButtonInternalState::bisHot) &&
                     FInternalStates.Contains(TcxButtonInternalState::bisPressed));
  FIsPaintDefault = ((item.itemState & ODS_FOCUS) != 0 || (GetDefault() && IsDesigning()) || FIsFocused) &&
                    GetEffectiveCanBeFocused();
  CheckStartFading(before, GetButtonState());
  FViewInfo->Calculate(GetClientRect());
  PaintTo(item.hDC, GetClientRect());
  AMessage.Result = TRUE;
}

// On glass the drawing goes through a buffered paint that keeps alpha;
// elsewhere through a bitmap, so that the button never flickers.
void TcxCustomButton::PaintTo(HDC ADC, const TRect& R)
{
  if (cxIsControlPaintingOnGlass(this)) {
    BP_PAINTPARAMS params{sizeof(BP_PAINTPARAMS), 0, nullptr, nullptr};
    HDC bufferDC = nullptr;
    if (HPAINTBUFFER buffer = dxUxBeginBufferedPaint(ADC, &R, BPBF_TOPDOWNDIB, &params, &bufferDC)) {
      rtl::Finally end([buffer] { dxUxEndBufferedPaint(buffer, true); });
      DrawTo(bufferDC);
      return;
    }
  }
  const rtl::TOwnedPtr<TcxBitmap> bitmap(rtl::New<TcxBitmap>());
  bitmap->CreateSize(R);
  DrawTo(bitmap->GetCanvas()->GetHandle());
  BitBlt(ADC, R.left, R.top, R.right - R.left, R.bottom - R.top, bitmap->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

void TcxCustomButton::DrawTo(HDC ADC)
{
  FCanvas->Lock();
  rtl::Finally unlock([this] {
    FControlCanvas->SetHandle(nullptr);
    FCanvas->Unlock();
  });
  FControlCanvas->SetHandle(ADC);
  bool handled = false;
  if (FOnCustomDraw)
    FOnCustomDraw(this, FCanvas, FViewInfo, handled);
  if (!handled)
    FViewInfo->Draw(FCanvas);
}

void TcxCustomButton::CNMeasureItem(vcl::TWMMeasureItem& AMessage)
{
  AMessage.MeasureItemStruct->itemWidth = static_cast<UINT>(GetWidth());
  AMessage.MeasureItemStruct->itemHeight = static_cast<UINT>(GetHeight());
}

// A split button's BN_CLICKED after a press on its drop-down part alone
// is no click: that press opened the menu.
void TcxCustomButton::CNCommand(vcl::TWMCommand& AMessage)
{
  if (AMessage.NotifyCode != BN_CLICKED || FKind != TcxButtonKind::cxbkDropDownButton ||
      FInternalStates.Contains(TcxButtonInternalState::bisPressed) ||
      !FInternalStates.Contains(TcxButtonInternalState::bisMenuButtonPressed))
    rtl::InheritedMessage(this, AMessage);
}

void TcxCustomButton::CNCtlColorBtn(TMessage& /*AMessage*/) {}

void TcxCustomButton::CNKeyDown(vcl::TWMKey& AMessage)
{
  if (FPopupMenu && cxPopupMenuIsShortCut(FPopupMenu, AMessage)) {
    AMessage.Result = 1;
    return;
  }
  rtl::InheritedMessage(this, AMessage);
}

// A double click is a second press.
void TcxCustomButton::WMLButtonDblClk(vcl::TWMMouse& AMessage)
{
  Perform(WM_LBUTTONDOWN, AMessage.Keys, MAKELPARAM(AMessage.XPos, AMessage.YPos));
}

void TcxCustomButton::WMCaptureChanged(TMessage& AMessage)
{
  rtl::InheritedMessage(this, AMessage);
  if (IsDesigning())
    return;
  POINT cursor{};
  GetCursorPos(&cursor);
  if (WindowFromPoint(cursor) == GetHandle())
    return;
  TcxButtonInternalStates states = FInternalStates;
  states.Exclude(TcxButtonInternalState::bisHot);
  states.Exclude(TcxButtonInternalState::bisPressed);
  states.Exclude(TcxButtonInternalState::bisMenuButtonPressed);
  SetInternalState(states);
}

// A transparent speed button shows what lies behind it, which moves with it.
void TcxCustomButton::WMWindowPosChanged(TMessage& AMessage)
{
  rtl::InheritedMessage(this, AMessage);
  if (!IsDestroying() && HandleAllocated() && FSpeedButtonOptions->GetTransparent() && !GetEffectiveCanBeFocused())
    Invalidate();
}

void TcxCustomButton::BCMSetNote(TMessage& /*AMessage*/)
{
  Invalidate();
}

// Another button of the group went down: take its shared options, and go
// up unless both follow the same action.
void TcxCustomButton::CMButtonPressed(TMessage& AMessage)
{
  auto* sender = reinterpret_cast<TObject*>(AMessage.LParam);
  if (!IsSpeedButtonMode() || GetEffectiveGroupIndex() == 0 ||
      static_cast<WPARAM>(GetEffectiveGroupIndex()) != AMessage.WParam || sender == this ||
      !rtl::Is<TcxCustomButton>(sender))
    return;
  auto* other = static_cast<TcxCustomButton*>(sender);
  FSpeedButtonOptions->BeginUpdate();
  rtl::Finally cancel([this] { FSpeedButtonOptions->CancelUpdate(); });
  const TcxSpeedButtonOptions* source = other->FSpeedButtonOptions;
  FSpeedButtonOptions->SetCanBeFocused(source->GetCanBeFocused());
  FSpeedButtonOptions->SetAllowAllUp(source->GetAllowAllUp());
  FSpeedButtonOptions->SetFlat(source->GetFlat());
  FSpeedButtonOptions->SetTransparent(source->GetTransparent());
  if (GetDown() && other->GetDown() && !(GetAction() && GetAction() == other->GetAction())) {
    FSpeedButtonOptions->InternalSetDown(false);
    if (rtl::Is<vcl::TCustomAction>(GetAction()))
      static_cast<vcl::TCustomAction*>(GetAction())->SetChecked(false);
  }
  Invalidate();
}

// An accelerator clicks without toggling Down.
void TcxCustomButton::CMDialogChar(vcl::TCMDialogChar& AMessage)
{
  if (IsAccelerator(static_cast<wchar_t>(AMessage.CharCode), GetText()) && inherited::CanFocus()) {
    IncludeInternalState(TcxButtonInternalState::bisAccelExecute);
    rtl::Finally done([this] { ExcludeInternalState(TcxButtonInternalState::bisAccelExecute); });
    Click();
    AMessage.Result = 1;
    return;
  }
  rtl::InheritedMessage(this, AMessage);
}

void TcxCustomButton::CMRepaintAfter(TMessage& AMessage)
{
  rtl::InheritedMessage(this, AMessage);
  Invalidate();
}

void TcxCustomButton::CMEnabledChanged(TMessage& AMessage)
{
  rtl::InheritedMessage(this, AMessage);
  if (!GetEnabled())
    ExcludeInternalState(TcxButtonInternalState::bisHot);
  Invalidate();
}

void TcxCustomButton::CMMouseEnter(TMessage& AMessage)
{
  rtl::InheritedMessage(this, AMessage);
  if (!IsDesigning())
    DoMouseEnter();
}

void TcxCustomButton::CMMouseLeave(TMessage& AMessage)
{
  rtl::InheritedMessage(this, AMessage);
  if (!IsDesigning())
    DoMouseLeave();
}

void TcxCustomButton::CMHintShow(TMessage& AMessage)
{
  rtl::InheritedMessage(this, AMessage);
  if (auto* info = reinterpret_cast<vcl::THintInfo*>(AMessage.LParam))
    info->CursorRect = GetClientRect();
}

void TcxCustomButton::DoMouseEnter()
{
  cxBeginMouseTracking(this, {0, 0, GetWidth(), GetHeight()}, FMouseTrackingCaller);
  IncludeInternalState(TcxButtonInternalState::bisHot);
}

void TcxCustomButton::DoMouseLeave()
{
  cxEndMouseTracking(FMouseTrackingCaller);
  ExcludeInternalState(TcxButtonInternalState::bisHot);
}

void __stdcall TcxButtonMouseTrackingCaller::MouseLeave()
{
  FButton->DoMouseLeave();
}

// ---------------------------------------------------------------------------
// Click road and mouse

void TcxCustomButton::Click()
{
  if (IsSpeedButtonMode() && !GetAction() && GetEffectiveCanBeFocused() &&
      (FInternalStates.Contains(TcxButtonInternalState::bisPressed) ||
       !FInternalStates.Contains(TcxButtonInternalState::bisMenuButtonPressed)) &&
      !FInternalStates.Contains(TcxButtonInternalState::bisAccelExecute))
    FSpeedButtonOptions->InternalSetDown(!GetDown());
  if (FKind == TcxButtonKind::cxbkDropDown || FKind == TcxButtonKind::cxbkOfficeDropDown)
    DoDropDownMenu();
  else
    inherited::Click();
}

void TcxCustomButton::DoGetDrawParams(TcxButtonState AState, TColor& AColor, vcl::TFont* AFont)
{
  if (FOnGetDrawParams)
    FOnGetDrawParams(this, AState, AColor, AFont);
}

void TcxCustomButton::DoDropDownMenu()
{
  if (!FInternalStates.Contains(TcxButtonInternalState::bisMenuVisible) && !FIsDropDownMenuClosing && HandleAllocated())
    PostMessageW(GetHandle(), DXM_DROPDOWNPOPUPMENU, 0, 0);
}

void TcxCustomButton::MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  if (!GetEffectiveCanBeFocused())
    SetCapture(GetHandle());
  inherited::MouseDown(AButton, AShift, X, Y);
  if (AButton != vcl::TMouseButton::mbLeft)
    return;
  const bool menuKind = FKind != TcxButtonKind::cxbkStandard && FKind != TcxButtonKind::cxbkCommandLink;
  const bool inMenuPart = menuKind && IsPointInMenuPart({X, Y});
  IncludeInternalState(inMenuPart ? TcxButtonInternalState::bisMenuButtonPressed : TcxButtonInternalState::bisPressed);
  if (FRepeatClick && FInternalStates.Contains(TcxButtonInternalState::bisPressed)) {
    FButtonPressTimer->SetInterval(kRepeatFirstDelay);
    FButtonPressTimer->SetEnabled(true);
  }
  if (FKind == TcxButtonKind::cxbkDropDownButton && inMenuPart)
    DoDropDownMenu();
  Invalidate();
}

void TcxCustomButton::MouseMove(vcl::TShiftState AShift, int X, int Y)
{
  inherited::MouseMove(AShift, X, Y);
  if (IsDesigning())
    return;
  const TRect client = GetClientRect();
  const POINT point{X, Y};
  if (PtInRect(&client, point)) {
    if (!FInternalStates.Contains(TcxButtonInternalState::bisHot))
      DoMouseEnter();
  } else if (FInternalStates.Contains(TcxButtonInternalState::bisHot)) {
    DoMouseLeave();
  }
}

void TcxCustomButton::MouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  FButtonPressTimer->SetEnabled(false);
  const bool menuOfWholeButton = FKind == TcxButtonKind::cxbkDropDown || FKind == TcxButtonKind::cxbkOfficeDropDown;
  const bool clickDue = !GetEffectiveCanBeFocused() && AButton == vcl::TMouseButton::mbLeft &&
                        FInternalStates.Contains(TcxButtonInternalState::bisHot) &&
                        (FInternalStates.Contains(TcxButtonInternalState::bisPressed) ||
                         (FInternalStates.Contains(TcxButtonInternalState::bisMenuButtonPressed) && menuOfWholeButton));
  if (clickDue && IsSpeedButtonMode() && !GetAction())
    FSpeedButtonOptions->InternalSetDown(!GetDown());
  inherited::MouseUp(AButton, AShift, X, Y);
  TcxButtonInternalStates states = FInternalStates;
  states.Exclude(TcxButtonInternalState::bisPressed);
  states.Exclude(TcxButtonInternalState::bisMenuButtonPressed);
  SetInternalState(states);
  if (!GetEffectiveCanBeFocused() && GetCapture() == GetHandle())
    ReleaseCapture();
  // Click toggles Down only on a focusable button, so not twice here.
  if (clickDue)
    Click();
  Invalidate();
  if (!FInternalStates.Contains(TcxButtonInternalState::bisMenuVisible))
    FIsDropDownMenuClosing = false;
}

void TcxCustomButton::DblClick()
{
  if (!GetEffectiveCanBeFocused())
    SetCapture(GetHandle());
  if (GetEffectiveGroupIndex() != 0)
    inherited::DblClick();
  POINT cursor{};
  GetCursorPos(&cursor);
  ::ScreenToClient(GetHandle(), &cursor);
  const bool menuKind = FKind != TcxButtonKind::cxbkStandard && FKind != TcxButtonKind::cxbkCommandLink;
  IncludeInternalState(menuKind && IsPointInMenuPart(cursor) ? TcxButtonInternalState::bisMenuButtonPressed
                                                             : TcxButtonInternalState::bisPressed);
  Invalidate();
}

// The first repeat comes 400 ms after the press, the next ones every
// 100 ms; off the button the clicks pause, releasing stops them.
void TcxCustomButton::RepeatClickTimerHandler(TObject* /*ASender*/)
{
  if (!vcl::KeyboardStateToShiftState().Contains(vcl::TShiftStateItem::ssLeft)) {
    FButtonPressTimer->SetEnabled(false);
    return;
  }
  FButtonPressTimer->SetInterval(kRepeatInterval);
  if (FInternalStates.Contains(TcxButtonInternalState::bisHot) &&
      FInternalStates.Contains(TcxButtonInternalState::bisPressed))
    Click();
}

void TcxCustomButton::KeyDown(WORD& AKey, vcl::TShiftState AShift)
{
  if (FKind == TcxButtonKind::cxbkDropDownButton && (AKey == VK_UP || AKey == VK_DOWN) &&
      (AShift.Contains(vcl::TShiftStateItem::ssAlt) || AShift.Contains(vcl::TShiftStateItem::ssShift))) {
    if (!FInternalStates.Contains(TcxButtonInternalState::bisMenuVisible))
      DoDropDownMenu();
    AKey = 0;
    return;
  }
  inherited::KeyDown(AKey, AShift);
}

// ---------------------------------------------------------------------------
// Drop-down and context menus

void TcxCustomButton::DXMDropDownPopupMenu(TMessage& /*AMessage*/)
{
  if (FKind == TcxButtonKind::cxbkStandard)
    return;
  TComponent* menu = FDropDownMenu;
  if (DoOnDropDownMenuPopup(menu) || !menu)
    return;
  TcxButtonInternalStates states = FInternalStates;
  states.Exclude(TcxButtonInternalState::bisMenuButtonPressed);
  states.Include(TcxButtonInternalState::bisMenuVisible);
  SetInternalState(states);
  FIsDropDownMenuClosing = false;
  Repaint();
  TRect bounds = GetClientRect();
  const TPoint origin = GetClientOrigin();
  OffsetRect(&bounds, origin.x, origin.y);
  cxShowDropDownMenu(this, menu, bounds, FPopupAlignment);
  if (HandleAllocated())
    PostMessageW(GetHandle(), DXM_CLOSEUPPOPUPMENU, 0, 0);
}

// The click that closed the menu by pressing the button must not open it
// again: it is still in the queue, or already recorded as a press.
void TcxCustomButton::DXMCloseUpPopupMenu(TMessage& /*AMessage*/)
{
  bool closing = FInternalStates.Contains(TcxButtonInternalState::bisMenuButtonPressed);
  MSG pending{};
  if (!closing && HandleAllocated() &&
      (PeekMessageW(&pending, GetHandle(), WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE) ||
       PeekMessageW(&pending, GetHandle(), WM_LBUTTONDBLCLK, WM_LBUTTONDBLCLK, PM_NOREMOVE))) {
    POINT point{GET_X_LPARAM(pending.lParam), GET_Y_LPARAM(pending.lParam)};
    closing = IsPointInMenuPart(point);
  }
  FIsDropDownMenuClosing = closing;
  ExcludeInternalState(TcxButtonInternalState::bisMenuVisible);
}

bool TcxCustomButton::DoOnDropDownMenuPopup(TComponent*& AMenu)
{
  bool handled = false;
  DoOnDropDownMenuPopupExEvent(AMenu, handled);
  if (!handled && (!AMenu || rtl::Is<vcl::TPopupMenu>(AMenu))) {
    auto* popup = static_cast<vcl::TPopupMenu*>(AMenu);
    DoOnDropDownMenuPopupEvent(popup, handled);
    AMenu = popup;
  }
  return handled;
}

void TcxCustomButton::DoOnDropDownMenuPopupEvent(vcl::TPopupMenu*& AMenu, bool& AHandled)
{
  if (FOnDropDownMenuPopup)
    FOnDropDownMenuPopup(this, AMenu, AHandled);
}

void TcxCustomButton::DoOnDropDownMenuPopupExEvent(TComponent*& AMenu, bool& AHandled)
{
  if (FOnDropDownMenuPopupEx)
    FOnDropDownMenuPopupEx(this, AMenu, AHandled);
}

bool TcxCustomButton::DoShowPopupMenu(TComponent* AMenu, int X, int Y)
{
  return cxShowPopupMenu(this, AMenu, X, Y);
}

void TcxCustomButton::WMContextMenu(vcl::TWMContextMenu& AMessage)
{
  if (AMessage.Result != 0)
    return;
  if (!IsDesigning()) {
    const TPoint screen = AMessage.Pos();
    POINT client = screen;
    if (HandleAllocated())
      ::ScreenToClient(GetHandle(), &client);
    const TRect bounds = GetClientRect();
    const bool fromKeyboard = screen.x == -1 && screen.y == -1;
    if (fromKeyboard || !PtInRect(&bounds, client)) {
      bool handled = false;
      DoContextPopup(fromKeyboard ? TPoint{-1, -1} : TPoint{client.x, client.y}, handled);
      AMessage.Result = handled ? 1 : 0;
      if (handled)
        return;
    }
  }
  rtl::InheritedMessage(this, AMessage);
}

void TcxCustomButton::DoContextPopup(TPoint AMousePos, bool& AHandled)
{
  inherited::DoContextPopup(AMousePos, AHandled);
  if (AHandled)
    return;
  POINT point = AMousePos.x == -1 && AMousePos.y == -1 ? POINT{0, 0} : POINT{AMousePos.x, AMousePos.y};
  if (HandleAllocated())
    ::ClientToScreen(GetHandle(), &point);
  AHandled = DoShowPopupMenu(FPopupMenu, point.x, point.y);
}

// ---------------------------------------------------------------------------
// Default-button highlight and fading

void TcxCustomButton::SetButtonStyle(bool ADefault)
{
  if (UseNativePaint()) {
    inherited::SetButtonStyle(ADefault);
    return;
  }
  if (ADefault == FIsFocused)
    return;
  FIsFocused = ADefault;
  Refresh();
}

bool TcxCustomButton::CanFade()
{
  const TcxLookAndFeelStyle style = GetLookAndFeelPainter()->LookAndFeelStyle();
  return (style == TcxLookAndFeelStyle::lfsNative || style == TcxLookAndFeelStyle::lfsSkin) &&
         (dxOSIsWindowsVistaOrLater || FKind != TcxButtonKind::cxbkCommandLink) && IsHotTrack() && !FOnCustomDraw;
}

void TcxCustomButton::CheckStartFading(TcxButtonState APrevState, TcxButtonState AState)
{
  TdxFader* fader = dxGetFader();
  if (!fader || APrevState == AState)
    return;
  const bool wasResting = APrevState == TcxButtonState::cxbsDefault || APrevState == TcxButtonState::cxbsNormal;
  const bool isResting = AState == TcxButtonState::cxbsDefault || AState == TcxButtonState::cxbsNormal;
  if (wasResting && AState == TcxButtonState::cxbsHot)
    fader->FadeIn(this);
  else if (APrevState == TcxButtonState::cxbsHot && isResting)
    fader->FadeOut(this);
  else
    fader->Remove(this, false);
}

void __stdcall TcxCustomButton::FadingGetImages(TcxBitmap32*& AFadeOutImage, TcxBitmap32*& AFadeInImage)
{
  const TRect bounds = FViewInfo->GetBounds();
  const TcxButtonState saved = FViewInfo->GetState();
  const auto makeImage = [&](TcxButtonState AState) {
    TcxBitmap32* image = rtl::New<TcxBitmap32>();
    image->CreateSize(bounds, true);
    TcxCanvas* canvas = image->GetcxCanvas();
    canvas->SetUseRightToLeftAlignment(UseRightToLeftAlignment());
    canvas->SetWindowOrg({bounds.left, bounds.top});
    FViewInfo->SetState(AState);
    FViewInfo->DrawBackground(canvas);
    canvas->SetWindowOrg({0, 0});
    return image;
  };
  rtl::Finally restore([&] { FViewInfo->SetState(saved); });
  AFadeOutImage = makeImage(RestingState(FIsFocused, GetEffectiveCanBeFocused()));
  AFadeInImage = makeImage(TcxButtonState::cxbsHot);
}

// ---------------------------------------------------------------------------

int cxDropDownNonClientHeight()
{
  return std::max(GetSystemMetrics(SM_CYHSCROLL) + 2, GetSystemMetrics(SM_CYSIZE)) + 1;
}
