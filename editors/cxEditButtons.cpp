// The cxEdit unit's edit buttons: the button item and its collection, the
// link of a button to its action, the button view info and the fading of a
// button between its normal and hot looks.
#include "editors/cxEdit.h"

#include "core/cxGeometry.h"
#include "core/dxCore.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "platform/rtl/SysUtilsFormat.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/Menus.h"

namespace {

using enum TcxEditButtonState;
using enum TcxButtonState;

// The collection's update bracket, closed on every way out.
class TcxEditButtonsUpdateLock {
 public:
  explicit TcxEditButtonsUpdateLock(rtl::TCollection* ACollection) : FCollection(ACollection)
  {
    if (FCollection)
      FCollection->BeginUpdate();
  }
  ~TcxEditButtonsUpdateLock()
  {
    if (FCollection)
      FCollection->EndUpdate();
  }
  TcxEditButtonsUpdateLock(const TcxEditButtonsUpdateLock&) = delete;
  TcxEditButtonsUpdateLock& operator=(const TcxEditButtonsUpdateLock&) = delete;

 private:
  rtl::TCollection* FCollection;
};

vcl::TCustomAction* AsCustomAction(vcl::TBasicAction* AAction)
{
  return rtl::Is<vcl::TCustomAction>(AAction) ? static_cast<vcl::TCustomAction*>(AAction) : nullptr;
}

TcxButtonState ButtonStateOf(TcxEditButtonState AState)
{
  switch (AState) {
    case ebsDisabled:
      return cxbsDisabled;
    case ebsPressed:
      return cxbsPressed;
    case ebsSelected:
      return cxbsHot;
    default:
      return cxbsNormal;
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// TcxEditButtonActionLink

void TcxEditButtonActionLink::AssignClient(rtl::TObject* AClient)
{
  FClient = static_cast<TcxCustomEditButton*>(AClient);
}

bool TcxEditButtonActionLink::IsCaptionLinked()
{
  vcl::TCustomAction* action = AsCustomAction(FAction);
  return inherited::IsCaptionLinked() && action && FClient->GetCaption() == action->GetCaption();
}

bool TcxEditButtonActionLink::IsEnabledLinked()
{
  vcl::TCustomAction* action = AsCustomAction(FAction);
  return inherited::IsEnabledLinked() && action && FClient->GetEnabled() == action->GetEnabled();
}

bool TcxEditButtonActionLink::IsHintLinked()
{
  vcl::TCustomAction* action = AsCustomAction(FAction);
  return inherited::IsHintLinked() && action && FClient->GetHint() == action->GetHint();
}

bool TcxEditButtonActionLink::IsImageIndexLinked()
{
  vcl::TCustomAction* action = AsCustomAction(FAction);
  return inherited::IsImageIndexLinked() && action && FClient->GetImageIndex() == action->GetImageIndex();
}

bool TcxEditButtonActionLink::IsVisibleLinked()
{
  vcl::TCustomAction* action = AsCustomAction(FAction);
  return inherited::IsVisibleLinked() && action && FClient->GetVisible() == action->GetVisible();
}

void TcxEditButtonActionLink::SetCaption(const rtl::String& AValue)
{
  if (IsCaptionLinked())
    FClient->SetCaption(AValue);
}

void TcxEditButtonActionLink::SetEnabled(bool AValue)
{
  if (IsEnabledLinked())
    FClient->SetEnabled(AValue);
}

void TcxEditButtonActionLink::SetHint(const rtl::String& AValue)
{
  if (IsHintLinked())
    FClient->FHint = AValue;
}

void TcxEditButtonActionLink::SetImageIndex(int AValue)
{
  if (IsImageIndexLinked())
    FClient->SetImageIndex(AValue);
}

void TcxEditButtonActionLink::SetVisible(bool AValue)
{
  if (IsVisibleLinked())
    FClient->SetVisible(AValue);
}

bool TcxEditButtonActionLink::PrepareHint(rtl::String& HintStr)
{
  vcl::TCustomAction* action = AsCustomAction(FAction);
  if (action && action->GetShortCut() != 0 && !HintStr.empty())
    HintStr = rtl::Format(L"%s (%s)", {HintStr, vcl::ShortCutToText(action->GetShortCut())});
  return true;
}

// ---------------------------------------------------------------------------
// TcxCustomEditButton

void TcxCustomEditButton::Create(rtl::TCollection* ACollection)
{
  TcxEditButtonsUpdateLock lock(ACollection);
  inherited::Create(ACollection);
  FGlyph = rtl::New<TdxSmartGlyph>();
  FGlyph->SetOnChange(rtl::TNotifyEvent::Bind<&TcxCustomEditButton::GlyphChanged>(this));
  FContentAlignment = rtl::TAlignment::taCenter;
  FEnabled = true;
  FImageIndex = -1;
  FKind = TcxEditButtonKind::bkDown;
  FStretchable = true;
  FTextColor = vcl::clBtnText;
  FVisible = true;
}

void TcxCustomEditButton::Destroy()
{
  SetAction(nullptr);
  rtl::FreeAndNil(FGlyph);
  inherited::Destroy();
}

void TcxCustomEditButton::Assign(rtl::TPersistent* ASource)
{
  if (!rtl::Is<TcxCustomEditButton>(ASource)) {
    inherited::Assign(ASource);
    return;
  }
  auto* source = static_cast<TcxCustomEditButton*>(ASource);
  TcxEditButtonsUpdateLock lock(GetCollection());
  SetCaption(source->FCaption);
  SetAction(source->GetAction());
  SetImageIndex(source->FImageIndex);
  FVisibleCaption = source->FVisibleCaption;
  SetContentAlignment(source->FContentAlignment);
  SetDefault(source->FDefault);
  SetEnabled(source->FEnabled);
  SetGlyph(source->FGlyph);
  SetKind(source->FKind);
  SetLeftAlignment(source->FLeftAlignment);
  SetStretchable(source->FStretchable);
  SetTag(source->FTag);
  SetTextColor(source->FTextColor);
  SetVisible(source->FVisible);
  SetWidth(source->FWidth);
  SetHint(source->FHint);
}

TcxCustomEditButtons* TcxCustomEditButton::GetButtons() const
{
  return static_cast<TcxCustomEditButtons*>(GetCollection());
}

void TcxCustomEditButton::ScaleWidth(int M, int D)
{
  SetWidth(MulDiv(FWidth, M, D));
}

void TcxCustomEditButton::ActionRemoved(rtl::TComponent* AAction)
{
  if (FActionLink && FActionLink->GetAction() == AAction)
    SetAction(nullptr);
}

vcl::TBasicAction* TcxCustomEditButton::GetAction()
{
  return FActionLink ? FActionLink->GetAction() : nullptr;
}

TcxEditButtonActionLinkClass TcxCustomEditButton::ActionLinkClass()
{
  return TcxEditButtonActionLinkClass::Of<TcxEditButtonActionLink>();
}

void TcxCustomEditButton::UpdateButtonAction()
{
  if (FActionLink)
    FActionLink->Update();
}

void TcxCustomEditButton::SetAction(vcl::TBasicAction* AValue)
{
  if (GetAction() == AValue)
    return;
  TcxCustomEditButtons* buttons = GetButtons();
  if (FActionLink) {
    if (buttons)
      buttons->GetFreeNotificator()->RemoveSender(FActionLink->GetAction());
    rtl::FreeAndNil(FActionLink);
  }
  if (!AValue)
    return;
  FActionLink = ActionLinkClass().Create(this);
  FActionLink->SetAction(AValue);
  FActionLink->SetOnChange(rtl::TNotifyEvent::Bind<&TcxCustomEditButton::DoActionChange>(this));
  ActionChange(AValue, AValue->GetComponentState().Contains(rtl::TComponentStateFlag::csLoading));
  if (buttons)
    buttons->GetFreeNotificator()->AddSender(AValue);
}

void TcxCustomEditButton::ActionChange(rtl::TObject* Sender, bool ACheckDefaults)
{
  auto* action = rtl::Is<vcl::TCustomAction>(Sender) ? static_cast<vcl::TCustomAction*>(Sender) : nullptr;
  if (!action)
    return;
  if (!ACheckDefaults || FCaption.empty())
    SetCaption(action->GetCaption());
  if (!ACheckDefaults || FEnabled)
    SetEnabled(action->GetEnabled());
  if (!ACheckDefaults || FHint.empty())
    SetHint(action->GetHint());
  if (!ACheckDefaults || FVisible)
    SetVisible(action->GetVisible());
  if (!ACheckDefaults || FImageIndex == -1)
    SetImageIndex(action->GetImageIndex());
}

void TcxCustomEditButton::DoActionChange(rtl::TObject* Sender)
{
  if (Sender == GetAction())
    ActionChange(Sender, false);
}

void TcxCustomEditButton::GlyphChanged(rtl::TObject*)
{
  Changed(false);
}

bool TcxCustomEditButton::IsLinked(bool (TcxEditButtonActionLink::*AIsLinked)())
{
  return FActionLink && (FActionLink->*AIsLinked)();
}

bool TcxCustomEditButton::IsCaptionStored()
{
  return !IsLinked(&TcxEditButtonActionLink::IsCaptionLinked);
}

bool TcxCustomEditButton::IsEnabledStored()
{
  return !IsLinked(&TcxEditButtonActionLink::IsEnabledLinked);
}

bool TcxCustomEditButton::IsHintStored()
{
  return !IsLinked(&TcxEditButtonActionLink::IsHintLinked);
}

bool TcxCustomEditButton::IsImageIndexStored()
{
  return !IsLinked(&TcxEditButtonActionLink::IsImageIndexLinked);
}

bool TcxCustomEditButton::IsVisibleStored()
{
  return !IsLinked(&TcxEditButtonActionLink::IsVisibleLinked);
}

void TcxCustomEditButton::SetCaption(const rtl::String& AValue)
{
  if (FCaption == AValue)
    return;
  FCaption = AValue;
  FVisibleCaption = dxStripAmpersands(AValue);
  Changed(false);
}

void TcxCustomEditButton::SetContentAlignment(rtl::TAlignment AValue)
{
  if (FContentAlignment == AValue)
    return;
  FContentAlignment = AValue;
  Changed(false);
}

void TcxCustomEditButton::SetDefault(bool AValue)
{
  if (FDefault == AValue)
    return;
  if (AValue)
    if (TcxCustomEditButtons* buttons = GetButtons())
      for (int i = 0; i < buttons->GetCount(); ++i)
        buttons->GetItems(i)->FDefault = false;
  FDefault = AValue;
  Changed(true);
}

void TcxCustomEditButton::SetEnabled(bool AValue)
{
  if (FEnabled == AValue)
    return;
  FEnabled = AValue;
  Changed(false);
}

void TcxCustomEditButton::SetGlyph(TdxSmartGlyph* AValue)
{
  FGlyph->Assign(AValue);
}

void TcxCustomEditButton::SetImageIndex(int AValue)
{
  if (FImageIndex == AValue)
    return;
  FImageIndex = AValue;
  Changed(false);
}

void TcxCustomEditButton::SetKind(TcxEditButtonKind AValue)
{
  if (FKind == AValue)
    return;
  FKind = AValue;
  Changed(false);
}

void TcxCustomEditButton::SetLeftAlignment(bool AValue)
{
  if (FLeftAlignment == AValue)
    return;
  FLeftAlignment = AValue;
  Changed(false);
}

void TcxCustomEditButton::SetStretchable(bool AValue)
{
  if (FStretchable == AValue)
    return;
  FStretchable = AValue;
  Changed(false);
}

void TcxCustomEditButton::SetTextColor(vcl::TColor AValue)
{
  if (FTextColor == AValue)
    return;
  FTextColor = AValue;
  Changed(false);
}

void TcxCustomEditButton::SetVisible(bool AValue)
{
  if (FVisible == AValue)
    return;
  FVisible = AValue;
  Changed(false);
}

void TcxCustomEditButton::SetWidth(int AValue)
{
  // A negative width means nothing sensible and would make every later
  // change refused: it is taken as the automatic width.
  AValue = std::max(AValue, 0);
  if (FWidth == AValue)
    return;
  FWidth = AValue;
  Changed(false);
}

// ---------------------------------------------------------------------------
// TcxCustomEditButtons

void TcxCustomEditButtons::Create(rtl::TPersistent* AOwner, TcxCustomEditButtonClass AButtonClass)
{
  inherited::Create(AButtonClass);
  FOwner = AOwner;
  FFreeNotificator = rtl::New<TcxFreeNotificator>(nullptr);
  FFreeNotificator->SetOnFreeNotification(
      TcxFreeNotificationEvent::Bind<&TcxCustomEditButtons::ActionFreeNotification>(this));
}

void TcxCustomEditButtons::Destroy()
{
  // The buttons let their actions go while the notificator still exists.
  Clear();
  rtl::FreeAndNil(FFreeNotificator);
  inherited::Destroy();
}

void TcxCustomEditButtons::ScaleButtonWidths(int M, int D)
{
  TcxEditButtonsUpdateLock lock(this);
  for (int i = 0; i < GetCount(); ++i)
    GetItems(i)->ScaleWidth(M, D);
}

void TcxCustomEditButtons::ActionFreeNotification(rtl::TComponent* AComponent)
{
  for (int i = 0; i < GetCount(); ++i)
    GetItems(i)->ActionRemoved(AComponent);
}

TcxCustomEditButtonClass TcxCustomEditButtons::ButtonClass()
{
  return TcxCustomEditButtonClass::Of<TcxCustomEditButton>();
}

void TcxCustomEditButtons::UpdateActions()
{
  for (int i = 0; i < GetCount(); ++i)
    GetItems(i)->UpdateButtonAction();
}

int TcxCustomEditButtons::GetVisibleCount() const
{
  int result = 0;
  for (int i = 0; i < GetCount(); ++i)
    if (GetItems(i)->GetVisible())
      ++result;
  return result;
}

void TcxCustomEditButtons::Update(rtl::TCollectionItem*)
{
  if (FOnChange)
    FOnChange(this);
}

// ---------------------------------------------------------------------------
// TcxEditButtonViewInfo

void TcxEditButtonViewInfo::Create()
{
  inherited::Create();
  Data.State = ebsNormal;
  Data.BackgroundColor = vcl::clDefault;
  Data.TextColor = vcl::clBtnText;
  ImageIndex = -1;
}

void TcxEditButtonViewInfo::AfterConstruction()
{
  inherited::AfterConstruction();
  FadingHelper = CreateFadingHelper();
}

void TcxEditButtonViewInfo::Destroy()
{
  rtl::FreeAndNil(FadingHelper);
  inherited::Destroy();
}

void TcxEditButtonViewInfo::Assign(rtl::TPersistent* Source)
{
  if (!rtl::Is<TcxEditButtonViewInfo>(Source)) {
    inherited::Assign(Source);
    return;
  }
  auto* source = static_cast<TcxEditButtonViewInfo*>(Source);
  Data.NativeState = source->Data.NativeState;
  Data.BackgroundColor = source->Data.BackgroundColor;
  Bounds = source->Bounds;
  Data.Style = source->Data.Style;
  Data.State = source->Data.State;
}

TcxEditButtonFadingHelper* TcxEditButtonViewInfo::CreateFadingHelper()
{
  return rtl::New<TcxEditButtonFadingHelper>(this);
}

bool TcxEditButtonViewInfo::SameLook(const TcxEditButtonViewInfo* AViewInfo) const
{
  return Data.Style == AViewInfo->Data.Style && Data.State == AViewInfo->Data.State &&
         Data.BackgroundColor == AViewInfo->Data.BackgroundColor &&
         Data.NativeState == AViewInfo->Data.NativeState;
}

TcxRegion* TcxEditButtonViewInfo::GetUpdateRegion(TcxEditButtonViewInfo* AViewInfo)
{
  if (SameLook(AViewInfo))
    return rtl::New<TcxRegion>();
  return rtl::New<TcxRegion>(Bounds);
}

bool TcxEditButtonViewInfo::Repaint(vcl::TWinControl* AControl, TcxEditButtonViewInfo* AViewInfo,
                                    const TPoint& AEditPosition)
{
  if (SameLook(AViewInfo) && !(FadingHelper && FadingHelper->GetActive()))
    return false;
  TRect R = Bounds;
  OffsetRect(&R, AEditPosition.x, AEditPosition.y);
  UINT flags = RDW_INVALIDATE;
  if (HasBackground)
    flags |= RDW_ERASE;
  RedrawWindow(AControl->GetHandle(), &R, nullptr, flags);
  return true;
}

TdxScaleFactor* TcxEditButtonViewInfo::GetScaleFactor()
{
  return EditViewInfo ? EditViewInfo->GetScaleFactor() : nullptr;
}

// ---------------------------------------------------------------------------
// Fading

rtl::IPtr<IcxEditOwner> TcxCustomEditFadingHelper::GetEditOwner()
{
  TcxCustomEditViewInfo* viewInfo = GetEditViewInfo();
  return viewInfo ? viewInfo->GetEditOwner() : rtl::IPtr<IcxEditOwner>();
}

void TcxCustomEditFadingHelper::Invalidate(const TRect& R, bool AEraseBackground)
{
  if (rtl::IPtr<IcxEditOwner> owner = GetEditOwner())
    owner->Invalidate(R, AEraseBackground);
}

void TcxEditButtonFadingHelper::Create(TcxEditButtonViewInfo* AViewInfo)
{
  inherited::Create();
  FViewInfo = AViewInfo;
  FState = ebsNormal;
}

TcxCustomEditViewInfo* TcxEditButtonFadingHelper::GetEditViewInfo()
{
  return FViewInfo->EditViewInfo;
}

void TcxEditButtonFadingHelper::Invalidate()
{
  Invalidate(ButtonRect(), FViewInfo->HasBackground);
}

TRect TcxEditButtonFadingHelper::ButtonRect()
{
  return FViewInfo->Bounds;
}

void TcxEditButtonFadingHelper::PaintButton(TcxCanvas* ACanvas)
{
  GetEditViewInfo()->DrawButton(ACanvas, FViewInfo->ButtonVisibleIndex);
}

void TcxEditButtonFadingHelper::UpdateState()
{
  const TcxEditButtonState state = FViewInfo->Data.State;
  if (state == FState)
    return;
  CheckStartFading(ButtonStateOf(FState), ButtonStateOf(state));
  FState = state;
}

bool __stdcall TcxEditButtonFadingHelper::FadingCanFade()
{
  TcxCustomEditViewInfo* viewInfo = GetEditViewInfo();
  return viewInfo && viewInfo->IsFadingAvailable() && GetEditOwner() && viewInfo->CanStartButtonFading();
}

void __stdcall TcxEditButtonFadingHelper::FadingGetImages(TcxBitmap32*& AFadeOutImage, TcxBitmap32*& AFadeInImage)
{
  const TcxEditButtonState savedState = FViewInfo->Data.State;
  const int savedNativeState = FViewInfo->Data.NativeState;
  rtl::Finally restore([&] {
    FViewInfo->Data.State = savedState;
    FViewInfo->Data.NativeState = savedNativeState;
  });
  AFadeOutImage = RenderButtonState(ebsNormal);
  AFadeInImage = RenderButtonState(ebsSelected);
}

TcxBitmap32* TcxEditButtonFadingHelper::RenderButtonState(TcxEditButtonState AState)
{
  TcxCustomEditViewInfo* viewInfo = GetEditViewInfo();
  TcxBitmap32* bitmap = nullptr;
  bool handled = false;
  if (viewInfo->OnPrepareButtonFadingImage)
    viewInfo->OnPrepareButtonFadingImage(FViewInfo, AState, bitmap, handled);
  if (handled)
    return bitmap;

  FViewInfo->Data.State = AState;
  if (rtl::IPtr<IcxEditOwner> owner = GetEditOwner()) {
    bool isCreated = false;
    TcxCustomEditViewData* viewData = owner->GetViewData(isCreated);
    rtl::Finally freeViewData([&] {
      if (isCreated)
        rtl::Free(viewData);
    });
    if (viewData)
      viewData->UpdateButtonNativeInfo(FViewInfo);
  }
  const TRect R = ButtonRect();
  bitmap = rtl::NewWith<TcxBitmap32>(
      [&](TcxBitmap32* B) { B->CreateSize(cxRectGetWidth(R), cxRectGetHeight(R), true); });
  TcxCanvas* canvas = bitmap->GetcxCanvas();
  canvas->SetWindowOrg(TPoint{R.left, R.top});
  PaintButton(canvas);
  canvas->SetWindowOrg(TPoint{0, 0});
  return bitmap;
}
