// The tabs, the slants, the image lists, the custom buttons and the settings
// object of the tab controls.
#include "pagecontrol/cxPC.h"

#include <algorithm>

#include "controls/cxDragImages.h"
#include "core/dxCore.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/cxGraphicsDraw.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "pagecontrol/cxPCConsts.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/SysUtilsFormat.h"
#include "platform/vcl/ImgList.h"

// ---------------------------------------------------------------------------
// TcxTab

void TcxTab::Create(TcxTabs* ATabs)
{
  FTabs = ATabs;
  FAllowCloseButton = true;
  FColor = vcl::clDefault;
  FDestroyHandlers = rtl::New<TcxEventHandlerCollection>();
  FEnabled = true;
  FImageIndex = -1;
  FShowAccelChar = true;
  FVisible = true;
}

void TcxTab::Destroy()
{
  // Listeners (the tab's view info) forget the tab before it goes.
  FDestroyHandlers->CallEvents(this);
  if (!IsNewButton() && FTabs && !FTabs->IsTabsCleaning())
    FTabs->RemoveTab(this);
  rtl::FreeAndNil(FDestroyHandlers);
  inherited::Destroy();
}

int TcxTab::GetIndex() const
{
  for (int i = 0; i < FTabs->GetCount(); ++i)
    if (FTabs->GetTab(i) == this)
      return i;
  return -1;
}

void TcxTab::AssignTo(rtl::TPersistent* ADest)
{
  if (!rtl::Is<TcxTab>(ADest)) {
    inherited::AssignTo(ADest);
    return;
  }
  auto* dest = static_cast<TcxTab*>(ADest);
  dest->SetCaption(FCaption);
  dest->SetEnabled(FEnabled);
  dest->SetHighlighted(FHighlighted);
  dest->SetImageIndex(FImageIndex);
  dest->SetObject(FObject);
  dest->SetVisible(FVisible);
  dest->SetSelected(FSelected);
}

void TcxTab::Changed(int ACode)
{
  FTabs->Changed(this, ACode);
}

void TcxTab::SetAllowCloseButton(bool AValue)
{
  if (FAllowCloseButton != AValue) {
    FAllowCloseButton = AValue;
    Changed(cxTabChangeLayout);
  }
}

void TcxTab::SetCaption(const rtl::String& AValue)
{
  if (FCaption != AValue) {
    FCaption = AValue;
    Changed(cxTabChangeLayout);
  }
}

void TcxTab::SetColor(vcl::TColor AValue)
{
  if (FColor != AValue) {
    FColor = AValue;
    Changed(cxTabChangeColor);
  }
}

void TcxTab::SetEnabled(bool AValue)
{
  if (FEnabled != AValue) {
    FEnabled = AValue;
    Changed(cxTabChangeEnabled);
  }
}

void TcxTab::SetHighlighted(bool AValue)
{
  if (FHighlighted != AValue) {
    FHighlighted = AValue;
    Changed(cxTabChangeHighlighted);
  }
}

int TcxTab::GetImageIndex()
{
  return FTabs->GetProperties()->GetTabImageIndex(this);
}

void TcxTab::SetImageIndex(int AValue)
{
  if (FImageIndex != AValue) {
    FImageIndex = AValue;
    Changed(cxTabChangeLayout);
  }
}

void TcxTab::SetSelected(bool AValue)
{
  if (FSelected == AValue)
    return;
  if (TcxTabViewInfo* viewInfo = GetViewInfo()) {
    TcxCustomTabControlProperties* properties = FTabs->GetProperties();
    const bool multiSelectable =
        properties->GetMultiSelect() && viewInfo->Painter() && viewInfo->Painter()->IsMultiSelectionAccepted();
    if (!multiSelectable && AValue && !viewInfo->IsMainTab())
      return;
  }
  FSelected = AValue;
  Changed(cxTabChangeSelected);
}

void TcxTab::SetShowAccelChar(bool AValue)
{
  if (FShowAccelChar != AValue) {
    FShowAccelChar = AValue;
    Changed(cxTabChangeLayout);
  }
}

void TcxTab::SetVisible(bool AValue)
{
  if (FVisible != AValue) {
    FVisible = AValue;
    Changed(cxTabChangeVisible);
  }
}

TcxTabViewInfo* TcxTab::GetViewInfo() const
{
  TcxCustomTabControlViewInfo* viewInfo = FTabs->GetProperties()->OwnerViewInfo();
  if (!viewInfo)
    return nullptr;
  TcxTabsViewInfo* tabs = viewInfo->GetTabsViewInfo();
  for (int i = 0; i < tabs->ViewInfoCount(); ++i)
    if (tabs->GetViewInfo(i)->GetTab() == this)
      return tabs->GetViewInfo(i);
  return nullptr;
}

TRect TcxTab::GetFullRect() const
{
  TcxTabViewInfo* viewInfo = GetViewInfo();
  return viewInfo ? viewInfo->GetFullRect() : TRect{};
}

TRect TcxTab::GetVisibleRect() const
{
  TcxTabViewInfo* viewInfo = GetViewInfo();
  return viewInfo ? viewInfo->GetVisibleRect() : TRect{};
}

int TcxTab::GetVisibleIndex() const
{
  TcxTabViewInfo* viewInfo = GetViewInfo();
  return viewInfo ? viewInfo->GetVisibleIndex() : -1;
}

int TcxTab::GetVisibleRow() const
{
  TcxTabViewInfo* viewInfo = GetViewInfo();
  return viewInfo ? viewInfo->GetVisibleRow() : -1;
}

bool TcxTab::GetIsMainTab() const
{
  TcxTabViewInfo* viewInfo = GetViewInfo();
  return viewInfo && viewInfo->IsMainTab();
}

bool TcxTab::GetRealVisible() const
{
  const TRect R = GetVisibleRect();
  return !IsRectEmpty(&R);
}

// ---------------------------------------------------------------------------
// TcxPCNewButton

void TcxPCNewButton::Create(TcxTabs* ATabs)
{
  inherited::Create(ATabs);
  InternalSetVisible(false);
}

void TcxPCNewButton::SetWidth(int AValue)
{
  if (FWidth != AValue) {
    FWidth = AValue;
    Changed(cxTabChangeLayout);
  }
}

// ---------------------------------------------------------------------------
// TcxTabs

void TcxTabs::Create(TcxCustomTabControlProperties* AProperties)
{
  FProperties = AProperties;
  FChangedHandlers = rtl::New<TcxEventHandlerCollection>();
  FDestroyHandlers = rtl::New<TcxEventHandlerCollection>();
  FNewButton = GetNewButtonClass().Create(this);
}

void TcxTabs::Destroy()
{
  FDestroyHandlers->CallEvents(this);
  FIsTabsCleaning = true;
  for (TcxTab* tab : FTabItems)
    rtl::Free(tab);
  FTabItems.clear();
  rtl::FreeAndNil(FNewButton);
  rtl::FreeAndNil(FDestroyHandlers);
  rtl::FreeAndNil(FChangedHandlers);
  inherited::Destroy();
}

rtl::ClassOf<TcxTab> TcxTabs::GetTabClass() const
{
  return rtl::ClassOf<TcxTab>::Of<TcxTab>();
}

rtl::ClassOf<TcxPCNewButton> TcxTabs::GetNewButtonClass() const
{
  return rtl::ClassOf<TcxPCNewButton>::Of<TcxPCNewButton>();
}

void TcxTabs::CheckIndex(int AIndex) const
{
  if (AIndex < 0 || AIndex >= GetCount())
    throw rtl::EListError(rtl::Format(L"List index out of bounds (%d)", {AIndex}));
}

TcxTab* TcxTabs::GetTab(int ATabIndex) const
{
  CheckIndex(ATabIndex);
  return FTabItems[ATabIndex];
}

TcxTab* TcxTabs::GetVisibleTab(int ATabVisibleIndex) const
{
  TcxCustomTabControlViewInfo* viewInfo = FProperties->OwnerViewInfo();
  if (!viewInfo || ATabVisibleIndex < 0 || ATabVisibleIndex >= viewInfo->TabsViewInfoCount())
    return nullptr;
  return viewInfo->GetTabViewInfo(ATabVisibleIndex)->GetTab();
}

int TcxTabs::VisibleTabsCount() const
{
  TcxCustomTabControlViewInfo* viewInfo = FProperties->OwnerViewInfo();
  return viewInfo ? viewInfo->TabsViewInfoCount() : 0;
}

rtl::String TcxTabs::Get(int AIndex)
{
  return GetTab(AIndex)->GetCaption();
}

void TcxTabs::Put(int AIndex, const rtl::String& S)
{
  GetTab(AIndex)->SetCaption(S);
}

rtl::TObject* TcxTabs::GetObject(int AIndex)
{
  return GetTab(AIndex)->GetObject();
}

void TcxTabs::PutObject(int AIndex, rtl::TObject* AObject)
{
  GetTab(AIndex)->SetObject(AObject);
}

void TcxTabs::Insert(int AIndex, const rtl::String& S)
{
  if (AIndex < 0 || AIndex > GetCount())
    throw rtl::EListError(rtl::Format(L"List index out of bounds (%d)", {AIndex}));
  BeginUpdate();
  try {
    TcxTab* tab = GetTabClass().Create(this);
    FTabItems.insert(FTabItems.begin() + AIndex, tab);
    // Tabs added in order show the images 0, 1, 2 ... unless told otherwise.
    tab->InternalSetImageIndex(AIndex);
    tab->InternalSetCaption(S);
    if (!FProperties->IsLoading() && FProperties->GetTabIndex() == -1 && GetCount() == 1)
      FProperties->InternalSetTabIndex(0);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TcxTabs::Delete(int AIndex)
{
  CheckIndex(AIndex);
  rtl::Free(FTabItems[AIndex]);
}

void TcxTabs::RemoveTab(TcxTab* ATab)
{
  auto it = std::find(FTabItems.begin(), FTabItems.end(), ATab);
  if (it == FTabItems.end())
    return;
  FProperties->LockChanging();
  try {
    FTabItems.erase(it);
    Changed(nullptr, cxTabChangeLayout);
  } catch (...) {
    FProperties->UnlockChanging();
    throw;
  }
  FProperties->UnlockChanging();
}

void TcxTabs::Move(int ACurIndex, int ANewIndex)
{
  if (ACurIndex == ANewIndex)
    return;
  CheckIndex(ACurIndex);
  CheckIndex(ANewIndex);
  TcxTab* tab = FTabItems[ACurIndex];
  FTabItems.erase(FTabItems.begin() + ACurIndex);
  FTabItems.insert(FTabItems.begin() + ANewIndex, tab);
  Changed(nullptr, cxTabChangeLayout);
}

void TcxTabs::Clear()
{
  FIsTabsCleaning = true;
  std::vector<TcxTab*> tabs;
  tabs.swap(FTabItems);
  for (TcxTab* tab : tabs)
    rtl::Free(tab);
  FIsTabsCleaning = false;
  Changed(nullptr, cxTabChangeLayout);
}

void TcxTabs::SetUpdateState(bool AUpdating)
{
  if (!AUpdating)
    Changed(nullptr, cxTabChangeLayout);
}

void TcxTabs::Changed(TcxTab* ATab, int ACode)
{
  if (!FProperties->CanProcessChanged())
    return;
  const TcxTabChangedArgs args{ATab, ACode};
  FChangedHandlers->CallEvents(this, &args);
}

// ---------------------------------------------------------------------------
// TcxTabSlants

void TcxTabSlants::Create(rtl::TPersistent* AOwner)
{
  FOwner = AOwner;
  FKind = TcxTabSlantKind::skSlant;
  FPositions = {TcxTabSlantPosition::spLeft};
}

void TcxTabSlants::Assign(rtl::TPersistent* ASource)
{
  if (rtl::Is<TcxTabSlants>(ASource)) {
    auto* source = static_cast<TcxTabSlants*>(ASource);
    FKind = source->FKind;
    FPositions = source->FPositions;
    Changed();
  } else {
    inherited::Assign(ASource);
  }
}

void TcxTabSlants::SetKind(TcxTabSlantKind AValue)
{
  if (FKind != AValue) {
    FKind = AValue;
    Changed();
  }
}

void TcxTabSlants::SetPositions(TcxTabSlantPositions AValue)
{
  if (FPositions != AValue) {
    FPositions = AValue;
    Changed();
  }
}

void TcxTabSlants::Changed()
{
  if (FOnChange)
    FOnChange(this);
}

// ---------------------------------------------------------------------------
// TcxPCImageList

void TcxPCImageList::Create(TcxCustomTabControlProperties* AProperties)
{
  FProperties = AProperties;
  FFreeNotificator = rtl::New<TcxFreeNotificator>(nullptr);
  FFreeNotificator->SetOnFreeNotification(TcxFreeNotificationEvent::Bind<&TcxPCImageList::FreeNotificationHandler>(this));
}

void TcxPCImageList::Destroy()
{
  rtl::FreeAndNil(FFreeNotificator);
  inherited::Destroy();
}

void TcxPCImageList::FreeNotificationHandler(rtl::TComponent* AComponent)
{
  // A list freed elsewhere leaves through the setter, so the layout follows.
  if (AComponent == FBaseImages)
    SetBaseImages(nullptr);
  if (AComponent == FBaseHotImages)
    SetBaseHotImages(nullptr);
}

void TcxPCImageList::SetBaseImages(vcl::TCustomImageList* AValue)
{
  if (FBaseImages == AValue)
    return;
  if (FBaseImages && FBaseImages != FBaseHotImages)
    FFreeNotificator->RemoveSender(FBaseImages);
  FBaseImages = AValue;
  FFreeNotificator->AddSender(FBaseImages);
  Changed();
}

void TcxPCImageList::SetBaseHotImages(vcl::TCustomImageList* AValue)
{
  if (FBaseHotImages == AValue)
    return;
  if (FBaseHotImages && FBaseHotImages != FBaseImages)
    FFreeNotificator->RemoveSender(FBaseHotImages);
  FBaseHotImages = AValue;
  FFreeNotificator->AddSender(FBaseHotImages);
  Changed();
}

void TcxPCImageList::Changed()
{
  if (FOnChange)
    FOnChange(this);
}

TSize TcxPCImageList::BaseImageSize() const
{
  vcl::TCustomImageList* list = FBaseImages ? FBaseImages : FBaseHotImages;
  if (!list)
    return TSize{0, 0};
  return TSize{list->GetWidth(), list->GetHeight()};
}

TSize TcxPCImageList::RotatedImageSize() const
{
  TSize size = BaseImageSize();
  if (FImageRotationAngle != TcxRotationAngle::ra0)
    std::swap(size.cx, size.cy);
  return size;
}

void TcxPCImageList::Draw(TcxCanvas* ACanvas, const TRect& R, int AIndex, bool AEnabled, bool AHot,
                          IdxColorPalette* APalette)
{
  vcl::TCustomImageList* list = AHot && FBaseHotImages ? FBaseHotImages : FBaseImages;
  if (!list)
    throw EdxException(rtl::String(L"TcxPCImageList.Draw: ") + dxLookupResourceString(scxPCNoBaseImages));
  if (AIndex < 0 || AIndex >= list->GetCount())
    throw EdxException(rtl::String(L"TcxPCImageList.Draw: ") +
                       rtl::Format(dxLookupResourceString(scxPCImageListIndexError), {AIndex, list->GetCount() - 1}));
  if (FImageRotationAngle == TcxRotationAngle::ra0) {
    cxDrawImage(ACanvas, R, nullptr, nullptr, APalette, AEnabled, AIndex, list);
    return;
  }
  const int width = R.right - R.left;
  const int height = R.bottom - R.top;
  if (width <= 0 || height <= 0)
    return;
  // What lies under R is turned back upright, the image drawn onto it and
  // the whole turned again, so the background around the image stays.
  const rtl::TOwnedPtr<TcxBitmap32> bitmap(
      rtl::NewWith<TcxBitmap32>([&](TcxBitmap32* B) { B->CreateSize(width, height, true); }));
  BitBlt(bitmap->GetCanvas()->GetHandle(), 0, 0, width, height, ACanvas->GetHandle(), R.left, R.top, SRCCOPY);
  const TcxRotationAngle back =
      FImageRotationAngle == TcxRotationAngle::raPlus90   ? TcxRotationAngle::raMinus90
      : FImageRotationAngle == TcxRotationAngle::raMinus90 ? TcxRotationAngle::raPlus90
                                                            : FImageRotationAngle;
  bitmap->Rotate(back);
  cxDrawImage(bitmap->GetcxCanvas(), TRect{0, 0, bitmap->GetWidth(), bitmap->GetHeight()}, nullptr, nullptr, APalette,
              AEnabled, AIndex, list);
  bitmap->Rotate(FImageRotationAngle);
  // Copied whole: the background was taken from the canvas already.
  bitmap->MakeOpaque();
  BitBlt(ACanvas->GetHandle(), R.left, R.top, width, height, bitmap->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------------------
// TcxCustomTabControlProperties

void TcxCustomTabControlProperties::Create(rtl::TPersistent* AOwner)
{
  inherited::Create(AOwner);
  FActivateFocusedTab = true;
  FNavigatorPosition = TcxPCNavigatorPosition::npRightTop;
  FOptions = cxPCDefaultOptions;
  FTabCaptionAlignment = rtl::TAlignment::taCenter;
  FTabIndex = -1;
  FTabPosition = TcxTabPosition::tpTop;
  FTabsScroll = true;
  FTabs = rtl::New<TcxTabs>(this);
  FImages = rtl::New<TcxPCImageList>(this);
  FImages->SetOnChange(rtl::TNotifyEvent::Bind<&TcxCustomTabControlProperties::ImagesChangeHandler>(this));
  FTabSlants = rtl::New<TcxTabSlants>(this);
  FTabSlants->SetOnChange(rtl::TNotifyEvent::Bind<&TcxCustomTabControlProperties::SlantsChangeHandler>(this));
  FCustomButtons = rtl::New<TcxPCCustomButtons>(this);
  FCustomButtons->GetHeaderImages()->SetOnChange(rtl::TNotifyEvent::Bind<&TcxCustomTabControlProperties::ImagesChangeHandler>(this));
  FCustomButtons->GetTabImages()->SetOnChange(rtl::TNotifyEvent::Bind<&TcxCustomTabControlProperties::ImagesChangeHandler>(this));
  FDragImage = rtl::New<TdxSmartGlyph>();
}

void TcxCustomTabControlProperties::Destroy()
{
  FLockedEvents.clear();
  rtl::FreeAndNil(FDragImage);
  rtl::FreeAndNil(FCustomButtons);
  rtl::FreeAndNil(FTabSlants);
  rtl::FreeAndNil(FImages);
  rtl::FreeAndNil(FTabs);
  inherited::Destroy();
}

void TcxCustomTabControlProperties::CopyFrom(rtl::TPersistent* ASource)
{
  inherited::CopyFrom(ASource);
  if (!rtl::Is<TcxCustomTabControlProperties>(ASource))
    return;
  auto* source = static_cast<TcxCustomTabControlProperties*>(ASource);
  BeginUpdate();
  try {
    SetActivateFocusedTab(source->FActivateFocusedTab);
    SetAllowDisabledTabAccess(source->FAllowDisabledTabAccess);
    SetAllowTabDragDrop(source->FAllowTabDragDrop);
    SetCloseButtonMode(source->FCloseButtonMode);
    SetCloseTabWithMiddleClick(source->FCloseTabWithMiddleClick);
    FCustomButtons->Assign(source->FCustomButtons);
    FDragImage->Assign(source->FDragImage);
    SetHideTabs(source->FHideTabs);
    SetHotTrack(source->FHotTrack);
    FImages->SetBaseImages(source->FImages->GetBaseImages());
    FImages->SetBaseHotImages(source->FImages->GetBaseHotImages());
    SetImageBorder(source->FImageBorder);
    SetMultiLine(source->FMultiLine);
    SetMultiLineTabCaptions(source->FMultiLineTabCaptions);
    SetNavigatorPosition(source->FNavigatorPosition);
    SetNewButtonMode(source->GetNewButtonMode());
    SetOptions(source->FOptions);
    SetOwnerDraw(source->FOwnerDraw);
    SetRaggedRight(source->FRaggedRight);
    SetRotate(source->FRotate);
    SetRotatedTabsMaxWidth(source->FRotatedTabsMaxWidth);
    SetScrollOpposite(source->FScrollOpposite);
    SetShowButtonHints(source->FShowButtonHints);
    SetShowFrame(source->FShowFrame);
    SetShowTabHints(source->FShowTabHints);
    SetStyle(source->FStyle);
    SetTabCaptionAlignment(source->FTabCaptionAlignment);
    SetTabHeight(source->GetTabHeight());
    SetTabPosition(source->FTabPosition);
    SetTabsScroll(source->FTabsScroll);
    FTabSlants->Assign(source->FTabSlants);
    SetTabWidth(source->GetTabWidth());
    FTabs->Assign(source->FTabs);
    SetTabIndex(source->FTabIndex);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TcxCustomTabControlProperties::BeginUpdate()
{
  ++FUpdateLockCount;
}

void TcxCustomTabControlProperties::CancelUpdate()
{
  --FUpdateLockCount;
}

void TcxCustomTabControlProperties::EndUpdate()
{
  --FUpdateLockCount;
  Changed();
}

bool TcxCustomTabControlProperties::IsLocked()
{
  return FUpdateLockCount > 0 || IsLoading();
}

bool TcxCustomTabControlProperties::IsChangingLocked()
{
  return FChangingEventLockCount > 0 || IsLocked();
}

void TcxCustomTabControlProperties::Changed(TcxCustomTabControlPropertiesChangedType AType)
{
  if (!IsLocked())
    DoChanged(AType);
}

void TcxCustomTabControlProperties::DoChanged(TcxCustomTabControlPropertiesChangedType AType)
{
  if (FOnChanged)
    FOnChanged(this, AType);
}

bool TcxCustomTabControlProperties::CanProcessChanged()
{
  return !IsDestroying() && !IsLoading();
}

bool TcxCustomTabControlProperties::GetTabControl(IcxTabControl*& ATabControl)
{
  ATabControl = nullptr;
  rtl::TPersistent* owner = GetOwner();
  if (!owner)
    return false;
  const rtl::TInterfaceEntry* entry = owner->GetInterfaceEntry(rtl::IIDOf<IcxTabControl>());
  if (!entry)
    return false;
  // The owner lives as long as this object: no reference is counted.
  ATabControl = static_cast<IcxTabControl*>(entry->Get(owner));
  return ATabControl != nullptr;
}

bool TcxCustomTabControlProperties::IsDesigning()
{
  IcxTabControl* tabControl;
  return GetTabControl(tabControl) && tabControl->IsDesigning();
}

bool TcxCustomTabControlProperties::IsDestroying()
{
  IcxTabControl* tabControl;
  return GetTabControl(tabControl) && tabControl->IsDestroying();
}

bool TcxCustomTabControlProperties::IsLoading()
{
  IcxTabControl* tabControl;
  return GetTabControl(tabControl) && tabControl->IsLoading();
}

TcxCustomTabControlViewInfo* TcxCustomTabControlProperties::OwnerViewInfo()
{
  IcxTabControl* tabControl;
  return GetTabControl(tabControl) ? tabControl->GetViewInfo() : nullptr;
}

void TcxCustomTabControlProperties::NotifyDesigner()
{
  IcxTabControl* tabControl;
  if (GetTabControl(tabControl))
    tabControl->DesignerModified();
}

void TcxCustomTabControlProperties::SetBoolean(bool& AField, bool AValue,
                                               TcxCustomTabControlPropertiesChangedType AType)
{
  if (AField != AValue) {
    AField = AValue;
    Changed(AType);
  }
}

void TcxCustomTabControlProperties::SetActivateFocusedTab(bool AValue)
{
  if (FActivateFocusedTab != AValue) {
    FActivateFocusedTab = AValue;
    // Only becoming True changes what the layout shows.
    if (AValue)
      Changed();
  }
}

void TcxCustomTabControlProperties::SetAllowDisabledTabAccess(bool AValue)
{
  SetBoolean(FAllowDisabledTabAccess, AValue);
}

void TcxCustomTabControlProperties::SetAllowTabDragDrop(bool AValue)
{
  SetBoolean(FAllowTabDragDrop, AValue);
}

void TcxCustomTabControlProperties::SetCloseButtonMode(TcxPCButtonMode AValue)
{
  if (FCloseButtonMode != AValue) {
    FCloseButtonMode = AValue;
    Changed();
  }
}

void TcxCustomTabControlProperties::SetHideTabs(bool AValue)
{
  SetBoolean(FHideTabs, AValue);
}

void TcxCustomTabControlProperties::SetHotTrack(bool AValue)
{
  SetBoolean(FHotTrack, AValue);
}

void TcxCustomTabControlProperties::SetIsTabsContainer(bool AValue)
{
  SetBoolean(FIsTabsContainer, AValue);
}

void TcxCustomTabControlProperties::SetImageBorder(int AValue)
{
  if (AValue >= 0 && FImageBorder != AValue) {
    FImageBorder = AValue;
    Changed();
  }
}

void TcxCustomTabControlProperties::SetMultiLine(bool AValue)
{
  SetBoolean(FMultiLine, AValue);
}

void TcxCustomTabControlProperties::SetMultiLineTabCaptions(bool AValue)
{
  SetBoolean(FMultiLineTabCaptions, AValue);
}

void TcxCustomTabControlProperties::SetMultiSelect(bool AValue)
{
  SetBoolean(FMultiSelect, AValue);
}

void TcxCustomTabControlProperties::SetNavigatorPosition(TcxPCNavigatorPosition AValue)
{
  if (FNavigatorPosition != AValue) {
    FNavigatorPosition = AValue;
    Changed();
  }
}

TcxPCNewButtonMode TcxCustomTabControlProperties::GetNewButtonMode() const
{
  return NewButton()->GetVisible() ? TcxPCNewButtonMode::nbmTab : TcxPCNewButtonMode::nbmNone;
}

void TcxCustomTabControlProperties::SetNewButtonMode(TcxPCNewButtonMode AValue)
{
  NewButton()->SetVisible(AValue == TcxPCNewButtonMode::nbmTab);
}

void TcxCustomTabControlProperties::SetOptions(TcxPCOptions AValue)
{
  if (FOptions == AValue)
    return;
  constexpr TcxPCOptions hardOptions{
      TcxPCOption::pcoAlwaysShowGoDialogButton, TcxPCOption::pcoCloseButton,
      TcxPCOption::pcoFixedTabWidthWhenRotated, TcxPCOption::pcoGoDialog,
      TcxPCOption::pcoGradient,                 TcxPCOption::pcoGradientClientArea,
      TcxPCOption::pcoNoArrows,                 TcxPCOption::pcoTopToBottomText};
  constexpr TcxPCOptions lightOptions{TcxPCOption::pcoUsePageColorForTab};
  const TcxPCOptions changed = (FOptions - AValue) + (AValue - FOptions);
  FOptions = AValue;
  if (!(changed * hardOptions).Empty())
    Changed(TcxCustomTabControlPropertiesChangedType::pctHard);
  else if (!(changed * lightOptions).Empty())
    Changed(TcxCustomTabControlPropertiesChangedType::pctLight);
}

void TcxCustomTabControlProperties::SetOwnerDraw(bool AValue)
{
  SetBoolean(FOwnerDraw, AValue, TcxCustomTabControlPropertiesChangedType::pctLight);
}

void TcxCustomTabControlProperties::SetRaggedRight(bool AValue)
{
  if (FRaggedRight != AValue) {
    FRaggedRight = AValue;
    if (FMultiLine)
      Changed();
  }
}

void TcxCustomTabControlProperties::SetRotate(bool AValue)
{
  SetBoolean(FRotate, AValue);
}

void TcxCustomTabControlProperties::SetRotatedTabsMaxWidth(int AValue)
{
  AValue = std::max(AValue, 0);
  if (FRotatedTabsMaxWidth != AValue) {
    FRotatedTabsMaxWidth = AValue;
    Changed(TcxCustomTabControlPropertiesChangedType::pctMedium);
  }
}

void TcxCustomTabControlProperties::SetScrollOpposite(bool AValue)
{
  SetBoolean(FScrollOpposite, AValue);
}

void TcxCustomTabControlProperties::SetShowFrame(bool AValue)
{
  SetBoolean(FShowFrame, AValue);
}

void TcxCustomTabControlProperties::SetStyle(TcxPCStyleID AValue)
{
  if (FStyle == AValue)
    return;
  TcxPCPaintersFactory* factory = PaintersFactory();
  FStyle = factory && factory->GetPainterClass(AValue) ? AValue : 0;
  if (FOnStyleChanged)
    FOnStyleChanged(this);
}

void TcxCustomTabControlProperties::SetTabCaptionAlignment(rtl::TAlignment AValue)
{
  if (FTabCaptionAlignment != AValue) {
    FTabCaptionAlignment = AValue;
    Changed();
  }
}

void TcxCustomTabControlProperties::SetTabHeight(int AValue)
{
  if (FTabSize.y != AValue) {
    FTabSize.y = AValue;
    Changed();
  }
}

void TcxCustomTabControlProperties::SetTabWidth(int AValue)
{
  if (FTabSize.x != AValue) {
    FTabSize.x = AValue;
    Changed();
  }
}

void TcxCustomTabControlProperties::SetTabPosition(TcxTabPosition AValue)
{
  if (FTabPosition != AValue) {
    FTabPosition = AValue;
    Changed();
  }
}

void TcxCustomTabControlProperties::SetTabsScroll(bool AValue)
{
  SetBoolean(FTabsScroll, AValue);
}

void TcxCustomTabControlProperties::ImagesChangeHandler(rtl::TObject*)
{
  ImagesChanged();
}

void TcxCustomTabControlProperties::SlantsChangeHandler(rtl::TObject*)
{
  Changed();
}

void TcxCustomTabControlProperties::ImagesChanged()
{
  Changed();
}

void TcxCustomTabControlProperties::ChangeScale(int M, int D)
{
  FImageBorder = MulDiv(FImageBorder, M, D);
  FTabSize.x = MulDiv(FTabSize.x, M, D);
  FTabSize.y = MulDiv(FTabSize.y, M, D);
}

// ---------------------------------------------------------------------------
// The current tab

int TcxCustomTabControlProperties::GetTabIndex()
{
  return FTabIndex;
}

void TcxCustomTabControlProperties::SetTabIndex(int AValue)
{
  if (IsLoading()) {
    FTabIndex = AValue;
    return;
  }
  if (AValue < -1 || AValue >= FTabs->GetCount())
    return;
  if (AValue != -1 && ResetTabIndexOfHiddenTab() && !FTabs->GetTab(AValue)->GetVisible())
    AValue = -1;
  if (AValue == FTabIndex)
    return;
  if (CanChange(AValue)) {
    for (int i = 0; i < FTabs->GetCount(); ++i)
      FTabs->GetTab(i)->SetSelected(false);
    StoreTabIndex(AValue);
    NotifyDesigner();
    DoChange();
    Changed(TcxCustomTabControlPropertiesChangedType::pctMedium);
  } else {
    FTabIndex = std::min(FTabIndex, FTabs->GetCount() - 1);
  }
}

bool TcxCustomTabControlProperties::CanChange(int AIndex)
{
  // A request made while another is being decided is refused.
  if (FTabChanging)
    return false;
  FTabChanging = true;
  bool result;
  try {
    result = DoCanChange(AIndex);
  } catch (...) {
    FTabChanging = false;
    throw;
  }
  FTabChanging = false;
  return result;
}

bool TcxCustomTabControlProperties::DoCanChange(int AIndex)
{
  bool allowChange = true;
  if (!IsChangingLocked())
    DoChanging(AIndex, allowChange);
  return allowChange;
}

void TcxCustomTabControlProperties::DoChanging(int AIndex, bool& AllowChange)
{
  FNewTabIndex = AIndex;
  if (FOnChanging)
    FOnChanging(this, AllowChange);
}

void TcxCustomTabControlProperties::DoChange()
{
  NotifyChange();
}

void TcxCustomTabControlProperties::NotifyChange()
{
  if (!IsLocked() && FOnChange)
    FOnChange(this);
}

void TcxCustomTabControlProperties::QueueEvent(rtl::TObject* ASender, rtl::TNotifyEvent AEvent)
{
  FLockedEvents.push_back({AEvent, ASender});
}

void TcxCustomTabControlProperties::UnlockNotifyEvents()
{
  if (FNotifyEventLockCount == 1) {
    // Handlers may queue more events; they run in the same walk.
    for (std::size_t i = 0; i < FLockedEvents.size(); ++i) {
      const TEventInfo info = FLockedEvents[i];
      if (info.Event)
        info.Event(info.Sender);
    }
    FLockedEvents.clear();
  }
  --FNotifyEventLockCount;
}

// ---------------------------------------------------------------------------
// Closing, new tabs, images and hints

void TcxCustomTabControlProperties::CloseTab(int AIndex)
{
  if (!DoCanClose(AIndex))
    return;
  LockChanging();
  try {
    DoCloseTab(AIndex);
  } catch (...) {
    UnlockChanging();
    throw;
  }
  UnlockChanging();
}

void TcxCustomTabControlProperties::CloseActiveTab()
{
  if (FTabIndex != -1)
    CloseTab(FTabIndex);
}

bool TcxCustomTabControlProperties::DoCanClose(int AIndex)
{
  bool canClose = true;
  if (FOnCanClose)
    FOnCanClose(this, AIndex, canClose);
  return canClose;
}

void TcxCustomTabControlProperties::DoClose(int AIndex)
{
  if (FOnClose)
    FOnClose(this, AIndex);
}

void TcxCustomTabControlProperties::DoCloseTab(int AIndex)
{
  const bool closingCurrent = AIndex == FTabIndex;
  BeginUpdate();
  try {
    TcxTab* current = !closingCurrent && FTabIndex >= 0 ? FTabs->GetTab(FTabIndex) : nullptr;
    FTabs->Delete(AIndex);
    FTabIndex = current ? current->GetIndex() : std::min(AIndex, FTabs->GetCount() - 1);
    DoClose(AIndex);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  if (closingCurrent)
    NotifyChange();
}

void TcxCustomTabControlProperties::NewTabButtonClick()
{
  if (DoNewTabButtonClick())
    return;
  const int index = CreateNewTab();
  SetTabIndex(index);
  DoNewTabCreate(index);
}

bool TcxCustomTabControlProperties::DoNewTabButtonClick()
{
  bool handled = false;
  if (FOnNewTabButtonClick)
    FOnNewTabButtonClick(this, handled);
  return handled;
}

int TcxCustomTabControlProperties::CreateNewTab()
{
  return FTabs->Add(rtl::String());
}

void TcxCustomTabControlProperties::SetDragImage(TdxSmartGlyph* AValue)
{
  FDragImage->Assign(AValue);
}

bool TcxCustomTabControlProperties::DoPaintDragImage(TcxDragImage* ADragImage)
{
  const rtl::TOwnedPtr<TcxBitmap> bitmap(rtl::New<TcxBitmap>());
  bool done = false;
  if (FOnPaintDragImage)
    FOnPaintDragImage(this, bitmap.get(), done);
  if (!done && !FDragImage->GetEmpty()) {
    const TSize size = FDragImage->GetSize();
    bitmap->SetSize(size.cx, size.cy);
    const TRect bounds{0, 0, size.cx, size.cy};
    bitmap->GetcxCanvas()->FillRect(bounds, bitmap->GetTransparentColor());
    FDragImage->StretchDraw(bitmap->GetCanvas()->GetHandle(), bounds, bounds);
    done = true;
  }
  if (!done)
    return false;
  ADragImage->SetBounds(ADragImage->GetLeft(), ADragImage->GetTop(), bitmap->GetWidth(), bitmap->GetHeight());
  ADragImage->SetTransparentColorValue(bitmap->GetTransparentColor());
  ADragImage->SetTransparentColor(true);
  ADragImage->GetcxCanvas()->Draw(0, 0, bitmap.get());
  return true;
}

void TcxCustomTabControlProperties::DoNewTabCreate(int AIndex)
{
  if (FOnNewTabCreate)
    FOnNewTabCreate(this, AIndex);
}

void TcxCustomTabControlProperties::MoveTab(int ACurIndex, int ANewIndex)
{
  FTabs->Move(ACurIndex, ANewIndex);
}

void TcxCustomTabControlProperties::DoTabClick(int AVisibleIndex, vcl::TShiftState AShift)
{
  if (FOnTabClick)
    FOnTabClick(this, AVisibleIndex, AShift);
}

int TcxCustomTabControlProperties::GetTabImageIndex(TcxTab* ATab)
{
  int index = ATab->GetOwnImageIndex();
  if (FOnGetImageIndex)
    FOnGetImageIndex(this, ATab->GetIndex(), index);
  auto inList = [index](vcl::TCustomImageList* AList) { return AList && index >= 0 && index < AList->GetCount(); };
  if (inList(FImages->GetBaseImages()) || inList(FImages->GetBaseHotImages()))
    return index;
  return -1;
}

rtl::String TcxCustomTabControlProperties::GetTabHint(TcxTab* ATab)
{
  if (!FShowTabHints)
    return rtl::String();
  bool canShow = true;
  rtl::String hint;
  if (ATab->IsNewButton())
    hint = dxLookupResourceString(scxPCDefaultHintNewButton);
  else
    GetTabHintText(ATab, canShow, hint);
  DoGetTabHint(ATab, hint, canShow);
  return canShow ? hint : rtl::String();
}

void TcxCustomTabControlProperties::GetTabHintText(TcxTab* ATab, bool& ACanShow, rtl::String& AHint)
{
  AHint = ATab->GetCaption();
  TcxTabViewInfo* viewInfo = ATab->GetViewInfo();
  ACanShow = viewInfo && viewInfo->GetIsTextTooLong();
}

void TcxCustomTabControlProperties::DoGetTabHint(TcxTab* ATab, rtl::String& AHint, bool& ACanShow)
{
  if (FOnGetTabHint)
    FOnGetTabHint(this, ATab->GetIndex(), AHint, ACanShow);
}

void TcxCustomTabControlProperties::DoDrawTabEx(int AVisibleIndex, vcl::TFont* AFont)
{
  TcxCustomTabControlViewInfo* viewInfo = OwnerViewInfo();
  if (FOnDrawTabEx && viewInfo)
    FOnDrawTabEx(this, viewInfo->GetTabViewInfo(AVisibleIndex)->GetTab(), AFont);
}

void TcxCustomTabControlProperties::DoPrepareTabCanvasFont(TcxTab* ATab, TcxCanvas* ACanvas)
{
  if (FOnPrepareTabCanvasFont)
    FOnPrepareTabCanvasFont(ATab, ACanvas);
}

rtl::String TcxCustomTabControlProperties::GetNavigatorButtonHint(TcxPCNavigatorButton AButton) const
{
  if (!FShowButtonHints)
    return rtl::String();
  switch (AButton) {
    case TcxPCNavigatorButton::nbTopLeft:
      return dxLookupResourceString(scxPCDefaultHintTopLeftButton);
    case TcxPCNavigatorButton::nbBottomRight:
      return dxLookupResourceString(scxPCDefaultHintBottomRightButton);
    case TcxPCNavigatorButton::nbGoDialog:
      return dxLookupResourceString(scxPCDefaultHintGoDialogButton);
    case TcxPCNavigatorButton::nbClose:
      return dxLookupResourceString(scxPCDefaultHintCloseButton);
  }
  return rtl::String();
}

TcxPCNavigatorButtons TcxCustomTabControlProperties::GetNavigatorButtons(bool AAllTabsFit) const
{
  TcxPCNavigatorButtons result;
  if (FMultiLine)
    return result;
  if (FOptions.Contains(TcxPCOption::pcoCloseButton))
    result.Include(TcxPCNavigatorButton::nbClose);
  if (!AAllTabsFit && !FOptions.Contains(TcxPCOption::pcoNoArrows))
    result += {TcxPCNavigatorButton::nbTopLeft, TcxPCNavigatorButton::nbBottomRight};
  if (FOptions.Contains(TcxPCOption::pcoGoDialog) &&
      (!AAllTabsFit || FOptions.Contains(TcxPCOption::pcoAlwaysShowGoDialogButton)))
    result.Include(TcxPCNavigatorButton::nbGoDialog);
  return result;
}
