// The custom buttons of a tab control and the buttons inside its tabs: the
// close button of a tab and the custom tab buttons, their layout, states,
// clicks and drawing.
#include "pagecontrol/cxPC.h"

#include <algorithm>

#include "core/dxCore.h"
#include "graphics/cxGraphics.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "pagecontrol/cxPCConsts.h"
#include "platform/vcl/ImgList.h"

// ---------------------------------------------------------------------------
// TcxPCButton

void TcxPCButton::Create(rtl::TCollection* ACollection)
{
  FEnabled = true;
  FHeaderImageIndex = -1;
  FPosition = TcxPCButtonPosition::pcbpHeader;
  FTabImageIndex = -1;
  FVisible = true;
  inherited::Create(ACollection);
}

void TcxPCButton::Assign(rtl::TPersistent* ASource)
{
  auto* source = rtl::As<TcxPCButton>(ASource);
  if (!source) {
    inherited::Assign(ASource);
    return;
  }
  SetEnabled(source->FEnabled);
  SetHint(source->FHint);
  SetTabImageIndex(source->FTabImageIndex);
  SetHeaderImageIndex(source->FHeaderImageIndex);
  SetPosition(source->FPosition);
  SetVisible(source->FVisible);
}

bool TcxPCButton::CanShow(int ATabIndex)
{
  bool canShow = true;
  if (FOnCanShow)
    FOnCanShow(this, ATabIndex, canShow);
  return canShow;
}

void TcxPCButton::Click()
{
  if (FOnClick)
    FOnClick(this);
}

void TcxPCButton::SetEnabled(bool AValue)
{
  if (FEnabled != AValue) {
    FEnabled = AValue;
    Changed(false);
  }
}

void TcxPCButton::SetHint(const rtl::String& AValue)
{
  if (FHint != AValue) {
    FHint = AValue;
    Changed(false);
  }
}

void TcxPCButton::SetField(int& AField, int AValue, bool AAllItems)
{
  if (AField != AValue) {
    AField = AValue;
    Changed(AAllItems);
  }
}

void TcxPCButton::SetHeaderImageIndex(int AValue)
{
  SetField(FHeaderImageIndex, AValue, true);
}

void TcxPCButton::SetTabImageIndex(int AValue)
{
  SetField(FTabImageIndex, AValue, true);
}

void TcxPCButton::SetPosition(TcxPCButtonPosition AValue)
{
  if (FPosition != AValue) {
    FPosition = AValue;
    Changed(true);
  }
}

void TcxPCButton::SetVisible(bool AValue)
{
  if (FVisible != AValue) {
    FVisible = AValue;
    Changed(true);
  }
}

// ---------------------------------------------------------------------------
// TcxPCButtons

TcxPCButton* TcxPCButtons::Add()
{
  BeginUpdate();
  TcxPCButton* result = nullptr;
  try {
    result = static_cast<TcxPCButton*>(inherited::Add());
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  return result;
}

void TcxPCButtons::Update(rtl::TCollectionItem*)
{
  if (auto* owner = rtl::As<TcxPCCustomButtons>(GetOwner()))
    owner->Changed();
}

// ---------------------------------------------------------------------------
// TcxPCCustomButtons

void TcxPCCustomButtons::Create(rtl::TPersistent* AOwner)
{
  inherited::Create(AOwner);
  FButtons = GetButtonsClass().Create(this, rtl::TCollectionItemClass::Of<TcxPCButton>());
  FHeaderImages = rtl::New<TcxPCImageList>(Properties());
  FTabImages = rtl::New<TcxPCImageList>(Properties());
}

void TcxPCCustomButtons::Destroy()
{
  rtl::FreeAndNil(FHeaderImages);
  rtl::FreeAndNil(FTabImages);
  rtl::FreeAndNil(FButtons);
  inherited::Destroy();
}

rtl::ClassOf<TcxPCButtons> TcxPCCustomButtons::GetButtonsClass() const
{
  return rtl::ClassOf<TcxPCButtons>::Of<TcxPCButtons>();
}

TcxCustomTabControlProperties* TcxPCCustomButtons::Properties() const
{
  return static_cast<TcxCustomTabControlProperties*>(const_cast<TcxPCCustomButtons*>(this)->GetOwner());
}

void TcxPCCustomButtons::Changed()
{
  // Buttons appear, move or vanish: the layout is rebuilt.
  Properties()->Changed(TcxCustomTabControlPropertiesChangedType::pctHard);
}

void TcxPCCustomButtons::SetMode(TcxPCButtonMode AValue)
{
  if (FMode != AValue) {
    FMode = AValue;
    Changed();
  }
}

void TcxPCCustomButtons::CopyFrom(rtl::TPersistent* ASource)
{
  inherited::CopyFrom(ASource);
  auto* source = rtl::As<TcxPCCustomButtons>(ASource);
  if (!source)
    return;
  Properties()->BeginUpdate();
  try {
    FButtons->Assign(source->FButtons);
    FHeaderImages->SetBaseImages(source->FHeaderImages->GetBaseImages());
    FTabImages->SetBaseImages(source->FTabImages->GetBaseImages());
    SetMode(source->FMode);
  } catch (...) {
    Properties()->EndUpdate();
    throw;
  }
  Properties()->EndUpdate();
}

// ---------------------------------------------------------------------------
// Tab button view infos

void TcxPCCustomTabButtonViewInfo::Create(TcxTabViewInfo* ATabViewInfo)
{
  FTabViewInfo = ATabViewInfo;
  FState = TcxPCNavigatorButtonState::nbsNormal;
}

void TcxPCCustomTabButtonViewInfo::Destroy()
{
  ControlViewInfo()->ForgetTabButton(this);
  inherited::Destroy();
}

TcxCustomTabControlViewInfo* TcxPCCustomTabButtonViewInfo::ControlViewInfo() const
{
  return FTabViewInfo->ControlViewInfo();
}

TcxPCNavigatorButtonState TcxPCCustomTabButtonViewInfo::GetState() const
{
  if (!ControlViewInfo()->IsTabAccessible(FTabViewInfo->GetVisibleIndex()))
    return TcxPCNavigatorButtonState::nbsDisabled;
  return FState;
}

void TcxPCCustomTabButtonViewInfo::SetState(TcxPCNavigatorButtonState AValue)
{
  if (FState != AValue) {
    FState = AValue;
    Invalidate();
  }
}

void TcxPCCustomTabButtonViewInfo::Invalidate()
{
  ControlViewInfo()->Invalidate(FBounds);
}

void TcxPCCustomTabButtonViewInfo::Click()
{
  if (CanClick())
    DoClick();
}

int TcxPCCustomTabButtonViewInfo::GetWidth()
{
  return FTabViewInfo->Painter()->GetTabCloseButtonSize().cx;
}

rtl::String TcxPCCustomTabButtonViewInfo::GetHint()
{
  if (!FTabViewInfo->Properties()->GetShowButtonHints())
    return rtl::String();
  return dxLookupResourceString(scxPCDefaultHintTabCloseButton);
}

int TcxPCTabCloseButtonViewInfo::GetWidth()
{
  // The close button keeps its proportions in taller button rows.
  const TSize size = GetTabViewInfo()->Painter()->GetTabCloseButtonSize();
  const int height = ControlViewInfo()->GetTabButtonHeight();
  if (size.cy >= height || size.cy <= 0)
    return size.cx;
  return MulDiv(size.cx, height, size.cy);
}

void TcxPCTabCloseButtonViewInfo::DoClick()
{
  GetTabViewInfo()->Properties()->CloseTab(GetTabViewInfo()->GetIndex());
}

void TcxPCTabButtonViewInfo::Create(TcxTabViewInfo* ATabViewInfo, TcxPCButton* AButton)
{
  inherited::Create(ATabViewInfo);
  FButton = AButton;
}

TcxPCNavigatorButtonState TcxPCTabButtonViewInfo::GetState() const
{
  if (!FButton->GetEnabled())
    return TcxPCNavigatorButtonState::nbsDisabled;
  return inherited::GetState();
}

int TcxPCTabButtonViewInfo::GetWidth()
{
  TcxPCImageList* images = GetTabViewInfo()->Properties()->GetCustomButtons()->GetTabImages();
  if (!images->IsImagesAssigned())
    return inherited::GetWidth();
  const TRect offsets = GetTabViewInfo()->Painter()->GetTabButtonGlyphOffsets();
  return offsets.left + offsets.right + images->BaseImageSize().cx;
}

rtl::String TcxPCTabButtonViewInfo::GetHint()
{
  if (!GetTabViewInfo()->Properties()->GetShowButtonHints())
    return rtl::String();
  return FButton->GetHint();
}

// ---------------------------------------------------------------------------
// The buttons of a tab view info

bool TcxTabViewInfo::IsButtonModeApplied(TcxPCButtonMode AMode)
{
  switch (AMode) {
    case TcxPCButtonMode::cbmEveryTab:
      return true;
    case TcxPCButtonMode::cbmActiveTab:
      return IsActive();
    case TcxPCButtonMode::cbmActiveAndHoverTabs:
      return IsActive() || IsHotTrack();
    case TcxPCButtonMode::cbmNone:
      break;
  }
  return false;
}

bool TcxTabViewInfo::HasCloseButton()
{
  return Properties()->CanShowTabCloseButton(FTab) && IsButtonModeApplied(Properties()->GetCloseButtonMode());
}

bool TcxTabViewInfo::HasButton(TcxPCButton* AButton)
{
  return AButton->IsTabButton() && IsButtonModeApplied(Properties()->GetCustomButtons()->GetMode()) &&
         AButton->CanShow(GetIndex());
}

void TcxTabViewInfo::ClearButtons()
{
  std::vector<TcxPCCustomTabButtonViewInfo*> buttons;
  buttons.swap(FButtonInfos);
  for (TcxPCCustomTabButtonViewInfo* button : buttons)
    rtl::Free(button);
}

void TcxTabViewInfo::RecreateButtons()
{
  ClearButtons();
  if (!FTab)
    return;
  if (HasCloseButton())
    FButtonInfos.push_back(rtl::New<TcxPCTabCloseButtonViewInfo>(this));
  TcxPCButtons* buttons = Properties()->GetCustomButtons()->GetButtons();
  for (int i = 0; i < buttons->GetCount(); ++i)
    if (HasButton(buttons->GetItem(i)))
      FButtonInfos.push_back(rtl::New<TcxPCTabButtonViewInfo>(this, buttons->GetItem(i)));
}

TcxPCCustomTabButtonViewInfo* TcxTabViewInfo::GetCloseButtonInfo() const
{
  for (TcxPCCustomTabButtonViewInfo* button : FButtonInfos)
    if (button->IsCloseButton())
      return button;
  return nullptr;
}

TcxPCCustomTabButtonViewInfo* TcxTabViewInfo::GetButtonAt(const TPoint& P) const
{
  for (TcxPCCustomTabButtonViewInfo* button : FButtonInfos) {
    const TRect R = button->GetBounds();
    if (PtInRect(&R, P))
      return button;
  }
  return nullptr;
}

int TcxTabViewInfo::PlaceButtons()
{
  if (FButtonInfos.empty())
    return 0;
  TcxCustomTabControlViewInfo* viewInfo = ControlViewInfo();
  TcxPCCustomPainter* painter = Painter();
  const bool vertical = viewInfo->IsVerticalText();
  // Vertical text read upwards ends at the top of the tab.
  const bool atFarEnd = !vertical || viewInfo->GetTextRotationAngle() == TcxRotationAngle::raMinus90;
  const int height = viewInfo->GetTabButtonHeight();
  const TRect offsets = painter->GetTabButtonsOffsets(GetVisibleIndex());
  TRect across = FContentRect;
  if (vertical) {
    across.left += offsets.top;
    across.right -= offsets.bottom;
    across.left += (across.right - across.left - height) / 2;
    across.right = across.left + height;
  } else {
    across.top += offsets.top;
    across.bottom -= offsets.bottom;
    across.top += (across.bottom - across.top - height) / 2;
    across.bottom = across.top + height;
  }
  // The first button stands outermost; each next one further in.
  // The offsets' left is the gap toward the caption, their right the one at
  // the tab's end.
  int p = atFarEnd ? (vertical ? FContentRect.bottom : FContentRect.right) - offsets.right
                   : (vertical ? FContentRect.top : FContentRect.left) + offsets.right;
  for (std::size_t i = 0; i < FButtonInfos.size(); ++i) {
    TcxPCCustomTabButtonViewInfo* button = FButtonInfos[i];
    const int width = button->GetWidth();
    TRect R = across;
    const int nearEdge = atFarEnd ? p - width : p;
    if (vertical) {
      R.top = nearEdge;
      R.bottom = nearEdge + width;
    } else {
      R.left = nearEdge;
      R.right = nearEdge + width;
    }
    button->SetBounds(R);
    p = atFarEnd ? nearEdge - painter->GetTabButtonsDistance() : nearEdge + width + painter->GetTabButtonsDistance();
  }
  return painter->GetTabButtonsWidth(GetVisibleIndex());
}

void TcxTabViewInfo::Click(vcl::TShiftState AShift)
{
  if (CanClick())
    DoClick(AShift);
}

void TcxTabViewInfo::DoClick(vcl::TShiftState AShift)
{
  Properties()->DoTabClick(GetVisibleIndex(), AShift);
}

bool TcxPCNewButtonViewInfo::CanClick()
{
  return ActuallyEnabled();
}

void TcxPCNewButtonViewInfo::DoClick(vcl::TShiftState)
{
  Properties()->NewTabButtonClick();
}

// ---------------------------------------------------------------------------
// Painter: tab buttons

TSize TcxPCCustomPainter::GetTabCloseButtonSizeBase()
{
  return TSize{Scaled(16), Scaled(14)};
}

TSize TcxPCCustomPainter::GetTabCloseButtonSize()
{
  const TSize base = GetTabCloseButtonSizeBase();
  int width = base.cx;
  int height = base.cy;
  cxEnsureTouchExtent(width, ScaleFactor());
  cxEnsureTouchExtent(height, ScaleFactor());
  return TSize{width, height};
}

TRect TcxPCCustomPainter::GetTabButtonsOffsets(int AIndex)
{
  TRect result{Scaled(4), Scaled(2), 0, Scaled(2)};
  // Inside a tab the buttons line up with its image.
  if (AIndex >= 0) {
    const TRect imageOffsets = GetTabImageOffsets(AIndex);
    result.top = imageOffsets.top;
    result.bottom = imageOffsets.bottom - 1;
  }
  return result;
}

int TcxPCCustomPainter::GetTabButtonsWidth(int AIndex)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  if (!tab->HasButtons())
    return 0;
  const TRect offsets = GetTabButtonsOffsets(AIndex);
  int result = offsets.left + offsets.right + GetTabButtonsDistance() * (tab->ButtonsCount() - 1);
  for (int i = 0; i < tab->ButtonsCount(); ++i)
    result += tab->GetButtonInfo(i)->GetWidth();
  return result;
}

int TcxPCCustomPainter::GetTabButtonsAreaHeight(int AIndex)
{
  const TRect offsets = GetTabButtonsOffsets(AIndex);
  return offsets.top + FViewInfo->GetTabButtonHeight() + offsets.bottom;
}

int TcxPCCustomPainter::GetTabCloseButtonsAreaWidth(int AIndex)
{
  const TRect offsets = GetTabButtonsOffsets(AIndex);
  return offsets.left + GetTabCloseButtonSize().cx + offsets.right;
}

int TcxPCCustomPainter::GetHeaderButtonInfoWidth(const TcxPCHeaderButton& AButton)
{
  if (!AButton.Button)
    return GetHeaderButtonWidth(AButton.Kind);
  TcxPCImageList* images = FViewInfo->Properties()->GetCustomButtons()->GetHeaderImages();
  if (!images->IsImagesAssigned())
    return GetHeaderButtonWidth(TcxPCNavigatorButton::nbClose);
  const TRect offsets = GetHeaderButtonGlyphOffsets();
  return offsets.left + offsets.right + images->BaseImageSize().cx;
}

int TcxPCCustomPainter::GetHeaderButtonInfosDistance(const TcxPCHeaderButton& AButton1,
                                                     const TcxPCHeaderButton& AButton2)
{
  auto kind = [](const TcxPCHeaderButton& AButton) {
    return AButton.Button ? TcxPCNavigatorButton::nbClose : AButton.Kind;
  };
  return GetHeaderButtonsDistance(kind(AButton1), kind(AButton2));
}

void TcxPCCustomPainter::DrawCustomHeaderButton(TcxCanvas* ACanvas, const TRect& R, TcxPCButton* AButton,
                                                TcxPCNavigatorButtonState AState)
{
  DrawTabButton(ACanvas, R, AState);
  DrawHeaderButtonImage(ACanvas, R, AButton, AState);
}

void TcxPCCustomPainter::DrawHeaderButtonImage(TcxCanvas* ACanvas, const TRect& R, TcxPCButton* AButton,
                                               TcxPCNavigatorButtonState AState)
{
  TcxPCImageList* images = FViewInfo->Properties()->GetCustomButtons()->GetHeaderImages();
  vcl::TCustomImageList* list = images->GetBaseImages();
  const int index = AButton->GetHeaderImageIndex();
  if (!list || index < 0 || index >= list->GetCount())
    return;
  // Turned with the captions of side tabs.
  const TSize size = images->RotatedImageSize();
  const int x = R.left + (R.right - R.left - size.cx) / 2;
  const int y = R.top + (R.bottom - R.top - size.cy) / 2;
  images->Draw(ACanvas, TRect{x, y, x + size.cx, y + size.cy}, index,
               AState != TcxPCNavigatorButtonState::nbsDisabled, false, GetHeaderButtonImagePalette(AState).Get());
}

TRect TcxPCCustomPainter::GetLookAndFeelTabButtonInflation()
{
  return IsNativePainting() ? TRect{1, 1, 1, 1} : TRect{};
}

void TcxPCCustomPainter::DrawTabButtons(TcxCanvas* ACanvas, int AIndex)
{
  TcxTabViewInfo* tab = GetTabViewInfo(AIndex);
  TcxPCImageList* images = FViewInfo->Properties()->GetCustomButtons()->GetTabImages();
  for (int i = 0; i < tab->ButtonsCount(); ++i) {
    TcxPCCustomTabButtonViewInfo* button = tab->GetButtonInfo(i);
    const TRect R = button->GetBounds();
    if (button->IsCloseButton()) {
      DrawTabCloseButton(ACanvas, R, button->GetState());
      continue;
    }
    DrawTabButton(ACanvas, R, button->GetState());
    vcl::TCustomImageList* list = images->GetBaseImages();
    if (button->HasImage() && list && button->GetImageIndex() < list->GetCount()) {
      const TSize size = images->BaseImageSize();
      const int x = R.left + (R.right - R.left - size.cx) / 2;
      const int y = R.top + (R.bottom - R.top - size.cy) / 2;
      images->Draw(ACanvas, TRect{x, y, x + size.cx, y + size.cy}, button->GetImageIndex(),
                   button->GetState() != TcxPCNavigatorButtonState::nbsDisabled, false,
                   GetTabButtonImagePalette(button->GetState()).Get());
    }
  }
}

void TcxPCCustomPainter::DrawTabButton(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButtonState AState)
{
  // A flat button: framed while hot, sunk while pressed.
  switch (AState) {
    case TcxPCNavigatorButtonState::nbsHotTrack:
      ACanvas->FrameRect(R, vcl::clBtnShadow);
      break;
    case TcxPCNavigatorButtonState::nbsPressed:
      ACanvas->FillRect(R, vcl::clBtnShadow);
      break;
    default:
      break;
  }
}

void TcxPCCustomPainter::DrawTabCloseButton(TcxCanvas* ACanvas, const TRect& R, TcxPCNavigatorButtonState AState)
{
  DrawTabButton(ACanvas, R, AState);
  const vcl::TColor color = AState == TcxPCNavigatorButtonState::nbsDisabled ? vcl::clBtnShadow
                            : AState == TcxPCNavigatorButtonState::nbsPressed ? vcl::clBtnHighlight
                                                                              : vcl::clBtnText;
  // A cross in a square centred in the button, two pixels thick.
  const int side = std::max<int>(std::min<int>(R.right - R.left, R.bottom - R.top) - Scaled(7), 3);
  const int left = R.left + (R.right - R.left - side) / 2;
  const int top = R.top + (R.bottom - R.top - side) / 2;
  for (int i = 0; i < side; ++i) {
    ACanvas->FillRect(TRect{left + i, top + i, left + i + 2, top + i + 1}, color);
    ACanvas->FillRect(TRect{left + side - i - 2, top + i, left + side - i, top + i + 1}, color);
  }
}
