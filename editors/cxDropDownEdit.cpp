// The drop-down editor: its properties, the drop-down and close-up cycle,
// the keys and the activation; and the unit's start-up.
#include "editors/cxDropDownEdit.h"

#include <algorithm>

#include "controls/cxWindowUtils.h"
#include "core/dxCore.h"
#include "editors/cxEditConsts.h"
#include "editors/cxVariants.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"

namespace {

void cxDropDownEditInitialization()
{
  cxEditPropertiesRegistry()->Register(TcxComboBoxProperties::StaticClass(),
                                       dxLookupResourceString(scxSEditRepositoryComboBoxItem));
  cxEditPropertiesRegistry()->Register(TcxPopupEditProperties::StaticClass(),
                                       dxLookupResourceString(scxSEditRepositoryPopupItem));
}

bool IsAltDown(vcl::TShiftState AShift)
{
  return AShift.Contains(vcl::TShiftStateItem::ssAlt);
}

}  // namespace

RTL_UNIT(cxDropDownEdit, &cxDropDownEditInitialization, nullptr);

// ---------------------------------------------------------------------------
// TcxCustomDropDownEditProperties

void TcxCustomDropDownEditProperties::Create(rtl::TPersistent* AOwner)
{
  inherited::Create(AOwner);
  BeginUpdate();
  rtl::Finally done([this] { EndUpdate(); });
  FGlyphButton = -1;
  FButtonGlyph = rtl::New<TdxSmartGlyph>();
  FButtonGlyph->SetOnChange(rtl::TNotifyEvent::Bind<&TcxCustomDropDownEditProperties::ButtonGlyphChanged>(this));
  GetButtons()->Add()->SetKind(TcxEditButtonKind::bkDown);
  FGlyphButtonIndex = 0;
  FImmediateDropDownWhenActivated = false;
  FImmediateDropDownWhenKeyPressed = true;
  FKeepArrowButtonPressedWhenDroppedDown = false;
  FPopupAutoSize = true;
  FPopupClientEdge = false;
  FPopupDirection = TcxPopupDirection::pdVertical;
  FPopupHeight = 0;
  FPopupHorzAlignment = TcxPopupAlignHorz::pahLeft;
  FPopupMinHeight = 0;
  FPopupMinWidth = 0;
  FPopupSizeable = false;
  FPopupSysPanelStyle = false;
  FPopupVertAlignment = TcxPopupAlignVert::pavBottom;
  FPopupWidth = 0;
  FPostPopupValueOnTab = false;
}

void TcxCustomDropDownEditProperties::Destroy()
{
  rtl::FreeAndNil(FButtonGlyph);
  inherited::Destroy();
}

void TcxCustomDropDownEditProperties::SetButtonGlyph(TdxSmartGlyph* AValue)
{
  FButtonGlyph->Assign(AValue);
}

void TcxCustomDropDownEditProperties::SetGlyphButtonIndex(int AValue)
{
  if (FGlyphButtonIndex == AValue)
    return;
  FGlyphButtonIndex = AValue;
  ApplyButtonGlyph();
}

void TcxCustomDropDownEditProperties::ButtonGlyphChanged(rtl::TObject* /*Sender*/)
{
  ApplyButtonGlyph();
}

void TcxCustomDropDownEditProperties::DoChanged()
{
  ApplyButtonGlyph();
  inherited::DoChanged();
}

void TcxCustomDropDownEditProperties::ApplyButtonGlyph()
{
  if (FApplyingButtonGlyph || !FButtonGlyph)
    return;
  FApplyingButtonGlyph = true;
  TcxCustomEditButtons* buttons = GetButtons();
  buttons->BeginUpdate();
  rtl::Finally done([this, buttons] {
    buttons->EndUpdate();
    FApplyingButtonGlyph = false;
  });
  const auto isButton = [buttons](int AIndex) { return AIndex >= 0 && AIndex < buttons->GetCount(); };
  if (isButton(FGlyphButton) && FGlyphButton != FGlyphButtonIndex) {
    TcxCustomEditButton* previous = buttons->GetItems(FGlyphButton);
    previous->GetGlyph()->Clear();
    if (previous->GetKind() == TcxEditButtonKind::bkGlyph)
      previous->SetKind(FGlyphButton == 0 && UsesDownButtonKind() ? TcxEditButtonKind::bkDown
                                                                   : TcxEditButtonKind::bkEllipsis);
  }
  FGlyphButton = -1;
  if (!isButton(FGlyphButtonIndex))
    return;
  TcxCustomEditButton* button = buttons->GetItems(FGlyphButtonIndex);
  button->SetGlyph(FButtonGlyph);
  if (!FButtonGlyph->GetEmpty())
    button->SetKind(TcxEditButtonKind::bkGlyph);
  else if (button->GetKind() == TcxEditButtonKind::bkGlyph)
    button->SetKind(FGlyphButtonIndex == 0 && UsesDownButtonKind() ? TcxEditButtonKind::bkDown
                                                                    : TcxEditButtonKind::bkEllipsis);
  FGlyphButton = FGlyphButtonIndex;
}

TcxCustomEditPopupWindowClass TcxCustomDropDownEditProperties::GetPopupWindowClass()
{
  return TcxCustomEditPopupWindowClass::Of<TcxCustomEditPopupWindow>();
}

TcxCustomEditClass TcxCustomDropDownEditProperties::GetContainerClass()
{
  return TcxCustomEditClass::Of<TcxCustomDropDownEdit>();
}

TcxEditSupportedOperations TcxCustomDropDownEditProperties::GetSupportedOperations()
{
  TcxEditSupportedOperations result = inherited::GetSupportedOperations();
  result.Exclude(TcxEditSupportedOperation::esoEditingAutoHeight);
  return result;
}

void TcxCustomDropDownEditProperties::SetAndAnnounce(bool& AField, bool AValue)
{
  if (AField == AValue)
    return;
  AField = AValue;
  Changed();
}

void TcxCustomDropDownEditProperties::SetKeepArrowButtonPressedWhenDroppedDown(bool AValue)
{
  SetAndAnnounce(FKeepArrowButtonPressedWhenDroppedDown, AValue);
}

void TcxCustomDropDownEditProperties::SetPopupClientEdge(bool AValue)
{
  SetAndAnnounce(FPopupClientEdge, AValue);
}

void TcxCustomDropDownEditProperties::SetPopupSizeable(bool AValue)
{
  SetAndAnnounce(FPopupSizeable, AValue);
}

void TcxCustomDropDownEditProperties::SetPopupSysPanelStyle(bool AValue)
{
  SetAndAnnounce(FPopupSysPanelStyle, AValue);
}

rtl::TAlignment TcxCustomDropDownEditProperties::GetPopupAlignment() const
{
  switch (FPopupHorzAlignment) {
    case TcxPopupAlignHorz::pahRight:
      return rtl::TAlignment::taRightJustify;
    case TcxPopupAlignHorz::pahCenter:
      return rtl::TAlignment::taCenter;
    default:
      return rtl::TAlignment::taLeftJustify;
  }
}

void TcxCustomDropDownEditProperties::SetPopupAlignment(rtl::TAlignment AValue)
{
  TcxPopupAlignHorz value = TcxPopupAlignHorz::pahLeft;
  if (AValue == rtl::TAlignment::taRightJustify)
    value = TcxPopupAlignHorz::pahRight;
  else if (AValue == rtl::TAlignment::taCenter)
    value = TcxPopupAlignHorz::pahCenter;
  if (value == FPopupHorzAlignment)
    return;
  FPopupHorzAlignment = value;
  Changed();
}

// The four sizes keep their relations without announcing a change: a size
// never undercuts its minimum, and a width of 0 (the editor's) stays 0.
void TcxCustomDropDownEditProperties::SetPopupMinHeight(int AValue)
{
  FPopupMinHeight = std::max<int>(AValue, 0);
  SetPopupHeight(FPopupHeight);
}

void TcxCustomDropDownEditProperties::SetPopupMinWidth(int AValue)
{
  FPopupMinWidth = std::max<int>(AValue, 0);
  SetPopupWidth(FPopupWidth);
}

void TcxCustomDropDownEditProperties::SetPopupHeight(int AValue)
{
  FPopupHeight = std::max<int>(AValue, FPopupMinHeight);
}

void TcxCustomDropDownEditProperties::SetPopupWidth(int AValue)
{
  if (AValue <= 0)
    FPopupWidth = 0;
  else
    FPopupWidth = std::max<int>(AValue, FPopupMinWidth);
}

void TcxCustomDropDownEditProperties::ScaleButtons(int M, int D)
{
  inherited::ScaleButtons(M, D);
  FPopupMinHeight = MulDiv(FPopupMinHeight, M, D);
  FPopupMinWidth = MulDiv(FPopupMinWidth, M, D);
  FPopupHeight = MulDiv(FPopupHeight, M, D);
  FPopupWidth = MulDiv(FPopupWidth, M, D);
}

void TcxCustomDropDownEditProperties::AssignFrom(TcxCustomEditProperties* ASource)
{
  BeginUpdate();
  rtl::Finally done([this] { EndUpdate(); });
  inherited::AssignFrom(ASource);
  auto* source = rtl::Is<TcxCustomDropDownEditProperties>(ASource) ? static_cast<TcxCustomDropDownEditProperties*>(ASource) : nullptr;
  if (!source)
    return;
  FImmediateDropDownWhenKeyPressed = source->FImmediateDropDownWhenKeyPressed;
  FImmediateDropDownWhenActivated = source->FImmediateDropDownWhenActivated;
  SetKeepArrowButtonPressedWhenDroppedDown(source->FKeepArrowButtonPressedWhenDroppedDown);
  FPopupAutoSize = source->FPopupAutoSize;
  SetPopupClientEdge(source->FPopupClientEdge);
  FPopupDirection = source->FPopupDirection;
  FPopupHorzAlignment = source->FPopupHorzAlignment;
  SetPopupSizeable(source->FPopupSizeable);
  SetPopupSysPanelStyle(source->FPopupSysPanelStyle);
  FPopupVertAlignment = source->FPopupVertAlignment;
  FPostPopupValueOnTab = source->FPostPopupValueOnTab;
  SetButtonGlyph(source->FButtonGlyph);
  const TdxScaleFactor* target = GetScaleFactor();
  const TdxScaleFactor* from = source->GetScaleFactor();
  FPopupMinHeight = target->Apply(source->FPopupMinHeight, from);
  FPopupMinWidth = target->Apply(source->FPopupMinWidth, from);
  FPopupHeight = target->Apply(source->FPopupHeight, from);
  FPopupWidth = target->Apply(source->FPopupWidth, from);
  SetOnClosePopup(source->GetOnClosePopup());
  FOnCloseQuery = source->FOnCloseQuery;
  FOnCloseUp = source->FOnCloseUp;
  FOnInitPopup = source->FOnInitPopup;
  FOnPopup = source->FOnPopup;
}

// ---------------------------------------------------------------------------
// TcxCustomDropDownInnerEdit

TcxCustomDropDownEdit* TcxCustomDropDownInnerEdit::DropDownEdit() const
{
  return rtl::As<TcxCustomDropDownEdit>(GetContainer());
}

void TcxCustomDropDownInnerEdit::HandleCMHintShow(rtl::TMessage& AMessage)
{
  TcxCustomDropDownEdit* edit = DropDownEdit();
  if (edit && edit->HasPopupWindow())
    AMessage.Result = 1;
  else
    rtl::InheritedMessage(this, AMessage);
}

void TcxCustomDropDownInnerEdit::HandleWMGetDlgCode(rtl::TMessage& AMessage)
{
  rtl::InheritedMessage(this, AMessage);
  TcxCustomDropDownEdit* edit = DropDownEdit();
  if (edit && GetKeyState(VK_ESCAPE) < 0 && !edit->HasPopupWindow() &&
      edit->GetActiveTextProperties()->GetEditingStyle() == TcxEditEditingStyle::esFixedList)
    AMessage.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
}

// ---------------------------------------------------------------------------
// TcxEditPopupControlLookAndFeel

TcxCustomDropDownEdit* TcxEditPopupControlLookAndFeel::Edit() const
{
  return rtl::As<TcxCustomDropDownEdit>(const_cast<TcxEditPopupControlLookAndFeel*>(this)->GetOwner());
}

TcxLookAndFeelKind TcxEditPopupControlLookAndFeel::EffectiveKind()
{
  TcxCustomDropDownEdit* edit = Edit();
  if (!edit)
    return inherited::EffectiveKind();
  // A plain editor without buttons keeps its popup's controls standard.
  if (edit->IsInplace() || edit->GetActiveProperties()->GetButtons()->GetCount() > 0)
    return edit->GetStyle()->GetLookAndFeel()->GetKind();
  return TcxLookAndFeelKind::lfStandard;
}

bool TcxEditPopupControlLookAndFeel::EffectiveNativeStyle()
{
  TcxCustomDropDownEdit* edit = Edit();
  if (!edit || !edit->GetViewInfo())
    return inherited::EffectiveNativeStyle();
  return static_cast<TcxCustomEditViewInfo*>(edit->GetViewInfo())->NativeStyle;
}

TdxSkinName TcxEditPopupControlLookAndFeel::EffectiveSkinName()
{
  TcxCustomDropDownEdit* edit = Edit();
  return edit ? edit->GetStyle()->GetLookAndFeel()->GetSkinName() : inherited::EffectiveSkinName();
}

TdxScrollbarMode TcxEditPopupControlLookAndFeel::EffectiveScrollbarMode()
{
  TcxCustomDropDownEdit* edit = Edit();
  return edit ? edit->GetStyle()->GetLookAndFeel()->GetScrollbarMode() : inherited::EffectiveScrollbarMode();
}

void TcxEditPopupControlLookAndFeel::EditStyleChanged()
{
  TcxLookAndFeelValues changed;
  if (EffectiveKind() != GetKind())
    changed.Include(TcxLookAndFeelValue::lfvKind);
  if (EffectiveNativeStyle() != GetNativeStyle())
    changed.Include(TcxLookAndFeelValue::lfvNativeStyle);
  if (EffectiveSkinName() != GetSkinName())
    changed.Include(TcxLookAndFeelValue::lfvSkinName);
  if (EffectiveScrollbarMode() != GetScrollbarMode())
    changed.Include(TcxLookAndFeelValue::lfvScrollbarMode);
  if (!changed.Empty())
    Changed(changed);
}

// ---------------------------------------------------------------------------
// TcxCustomDropDownEdit: creation

void TcxCustomDropDownEdit::Initialize()
{
  inherited::Initialize();
  FCachedPosition = TPoint{};
  FCloseUpReason = TcxEditCloseUpReason::crUnknown;
  FIsActivatingByMouse = false;
  FPopupInitialized = false;
  FPopupSizeChanged = false;
  FPopupWindow = nullptr;
  if (!IsDesigning())
    CreatePopupWindow();
  FPopupControlsLookAndFeel = rtl::New<TcxEditPopupControlLookAndFeel>(this);
  FPopupControlsLookAndFeel->SetOnChanged(
      TcxLookAndFeelChangedEvent::Bind<&TcxCustomDropDownEdit::PopupControlsLookAndFeelChanged>(this));
}

void TcxCustomDropDownEdit::CheckPopupControlsLookAndFeel()
{
  if (FPopupControlsLookAndFeel)
    FPopupControlsLookAndFeel->EditStyleChanged();
}

void TcxCustomDropDownEdit::ContainerStyleChanged(rtl::TObject* Sender)
{
  inherited::ContainerStyleChanged(Sender);
  if (HandleAllocated())
    CheckPopupControlsLookAndFeel();
}

void TcxCustomDropDownEdit::CalculateViewInfo(const TPoint& P, bool AHotTrackAllowed)
{
  inherited::CalculateViewInfo(P, AHotTrackAllowed);
  CheckPopupControlsLookAndFeel();
}

void TcxCustomDropDownEdit::Destroy()
{
  if (IcxTextEditLookupData* lookup = GetILookupData())
    lookup->Deinitialize();
  // The lookup data frees its list itself: the popup, its parent and owner,
  // must not take it along.
  if (TcxCustomTextEditLookupData* lookup = GetLookupData())
    if (TcxEditListBoxContainer* container = lookup->GetListContainer()) {
      container->SetParent(nullptr);
      if (rtl::TComponent* owner = container->GetOwner())
        owner->RemoveComponent(container);
    }
  DestroyPopupWindow();
  rtl::FreeAndNil(FPopupControlsLookAndFeel);
  inherited::Destroy();
}

TcxCustomEditPropertiesClass TcxCustomDropDownEdit::GetPropertiesClass()
{
  return TcxCustomEditPropertiesClass::Of<TcxCustomDropDownEditProperties>();
}

TcxCustomEditDataClass TcxCustomDropDownEdit::GetEditDataClass()
{
  return TcxCustomEditDataClass::Of<TcxCustomDropDownEditData>();
}

rtl::ClassOf<vcl::TWinControl> TcxCustomDropDownEdit::GetInnerEditClass()
{
  return rtl::ClassOf<vcl::TWinControl>::Of<TcxCustomDropDownInnerEdit>();
}

void TcxCustomDropDownEdit::CreatePopupWindow()
{
  FPopupWindow = GetActiveDropDownProperties()->GetPopupWindowClass().Create(this);
  FPopupWindow->SetCaptureFocus(PopupWindowCapturesFocus());
  FPopupWindow->SetIsTopMost(!IsInplace());
  FPopupWindow->GetStyle()->GetLookAndFeel()->SetMasterLookAndFeel(GetStyle()->GetLookAndFeel());
  FPopupWindow->SetBiDiMode(GetBiDiMode());
  FPopupWindow->SetOnCloseQuery(vcl::TCloseQueryEvent::Bind<&TcxCustomDropDownEdit::PopupCloseQuery>(this));
  FPopupWindow->SetOnClosed(rtl::TNotifyEvent::Bind<&TcxCustomDropDownEdit::PopupClosed>(this));
  FPopupWindow->SetOnClosing(rtl::TNotifyEvent::Bind<&TcxCustomDropDownEdit::PopupClosing>(this));
  FPopupWindow->SetOnShowed(rtl::TNotifyEvent::Bind<&TcxCustomDropDownEdit::PopupShowed>(this));
}

void TcxCustomDropDownEdit::DestroyPopupWindow()
{
  if (!FPopupWindow)
    return;
  FPopupWindow->SetOnCloseQuery({});
  FPopupWindow->SetOnClosed({});
  FPopupWindow->SetOnClosing({});
  FPopupWindow->SetOnShowed({});
  cxLockActivateMessage(true);
  rtl::Finally unlock([] { cxLockActivateMessage(false); });
  rtl::FreeAndNil(FPopupWindow);
}

void TcxCustomDropDownEdit::DestroyWnd()
{
  CloseUp(TcxEditCloseUpReason::crUnknown);
  DoFinalizePopup();
  if (FPopupWindow && FPopupWindow->HandleAllocated())
    FPopupWindow->DestroyHandle();
  inherited::DestroyWnd();
}

// ---------------------------------------------------------------------------
// State

bool TcxCustomDropDownEdit::HasPopupWindow()
{
  return FPopupWindow && FPopupWindow->IsVisible();
}

bool TcxCustomDropDownEdit::Focused()
{
  return inherited::Focused() || HasPopupWindow();
}

bool TcxCustomDropDownEdit::IsPopupShowPending()
{
  if (!FPopupWindow || !FPopupWindow->HandleAllocated())
    return false;
  MSG msg;
  return PeekMessageW(&msg, FPopupWindow->GetHandle(), DXM_SHOWPOPUPWINDOW, DXM_SHOWPOPUPWINDOW, PM_NOREMOVE) != 0;
}

void TcxCustomDropDownEdit::SetDroppedDown(bool AValue)
{
  if (AValue == GetDroppedDown())
    return;
  if (!AValue)
    CloseUp(TcxEditCloseUpReason::crUnknown);
  else if (!IsPopupShowPending())
    DropDown();
}

bool TcxCustomDropDownEdit::PopupWindowCapturesFocus()
{
  return GetActiveDropDownProperties()->PopupWindowCapturesFocus();
}

bool TcxCustomDropDownEdit::PopupWindowShowsSearchInfoPanel()
{
  TcxCustomTextEditProperties* properties = GetActiveTextProperties();
  TcxCustomTextEditLookupData* lookup = GetLookupData();
  return !properties->IsFilteringExternal() && properties->GetIncrementalFiltering() && lookup &&
         properties->HasLookupData() && lookup->GetDisplayItemCount() == 0;
}

void TcxCustomDropDownEdit::FireNotify(rtl::TNotifyEvent (TcxCustomDropDownEditProperties::*AGetter)() const)
{
  dxCallNotifyEvent(this, (GetProperties()->*AGetter)());
  if (GetRepositoryItem())
    dxCallNotifyEvent(this, (GetActiveDropDownProperties()->*AGetter)());
}

// ---------------------------------------------------------------------------
// Sizes

TRect TcxCustomDropDownEdit::GetPopupOwnerBounds()
{
  TRect R{0, 0, GetWidth(), GetHeight()};
  if (GetViewInfo() && GetViewInfo()->Shadow)
    R.right += cxEditPopupShadowSize;
  const bool reallyVisible = GetParent() && GetParent()->GetVisible() && GetVisible() && GetLeft() != 30000;
  const TPoint origin = reallyVisible ? TPoint{GetLeft(), GetTop()} : FCachedPosition;
  OffsetRect(&R, origin.x, origin.y);
  return R;
}

int TcxCustomDropDownEdit::GetPopupWidth()
{
  auto* data = rtl::As<TcxCustomDropDownEditData>(GetEditData());
  if (IsInplace() && data && GetActiveDropDownProperties()->GetPopupSizeable())
    return data->Width;
  return GetScaleFactor()->Apply(GetActiveDropDownProperties()->GetPopupWidth(),
                                 GetActiveDropDownProperties()->GetScaleFactor());
}

int TcxCustomDropDownEdit::GetPopupHeight()
{
  auto* data = rtl::As<TcxCustomDropDownEditData>(GetEditData());
  if (IsInplace() && data && GetActiveDropDownProperties()->GetPopupSizeable())
    return data->Height;
  return GetScaleFactor()->Apply(GetActiveDropDownProperties()->GetPopupHeight(),
                                 GetActiveDropDownProperties()->GetScaleFactor());
}

void TcxCustomDropDownEdit::StorePopupSize()
{
  TcxCustomDropDownEditProperties* properties = GetActiveDropDownProperties();
  if (!properties->GetPopupSizeable() || !FPopupWindow)
    return;
  auto* data = rtl::As<TcxCustomDropDownEditData>(GetEditData());
  if (IsInplace() && data) {
    data->Initialized = true;
    data->Width = FPopupWindow->GetWidth();
    data->Height = FPopupWindow->GetHeight();
  } else {
    properties->SetPopupWidth(FPopupWindow->GetWidth());
    properties->SetPopupHeight(FPopupWindow->GetHeight());
  }
}

void TcxCustomDropDownEdit::InitializeEditData()
{
  auto* data = rtl::As<TcxCustomDropDownEditData>(GetEditData());
  if (!data)
    return;
  data->Initialized = false;
  data->Width = GetScaleFactor()->Apply(GetActiveDropDownProperties()->GetPopupWidth(),
                                        GetActiveDropDownProperties()->GetScaleFactor());
  data->Height = GetScaleFactor()->Apply(GetActiveDropDownProperties()->GetPopupHeight(),
                                         GetActiveDropDownProperties()->GetScaleFactor());
}

// ---------------------------------------------------------------------------
// Setting the popup up

vcl::TWinControl* TcxCustomDropDownEdit::GetPopupFocusedControl()
{
  IcxTextEditLookupData* lookup = GetILookupData();
  if (lookup && GetActiveTextProperties()->HasLookupData() && GetActiveTextProperties()->IsLookupDataVisual() &&
      PopupWindowCapturesFocus()) {
    vcl::TWinControl* control = lookup->GetActiveControl();
    if (control)
      return control;
  }
  return GetInnerControl();
}

void TcxCustomDropDownEdit::InitializeLookupData()
{
  IcxTextEditLookupData* lookup = GetILookupData();
  if (lookup && GetActiveTextProperties()->HasLookupData() && GetActiveTextProperties()->IsLookupDataVisual())
    lookup->Initialize(FPopupWindow);
}

void TcxCustomDropDownEdit::InitializePopupWindow()
{
  TcxCustomDropDownEditProperties* properties = GetActiveDropDownProperties();
  TcxCustomEditPopupWindow* popup = FPopupWindow;
  popup->SetOwnerParent(GetParent());
  popup->SetDirection(properties->GetPopupDirection());
  TcxPopupAlignHorz horz = properties->GetPopupHorzAlignment();
  if (UseRightToLeftAlignment() && horz != TcxPopupAlignHorz::pahCenter)
    horz = horz == TcxPopupAlignHorz::pahLeft ? TcxPopupAlignHorz::pahRight : TcxPopupAlignHorz::pahLeft;
  popup->SetAlignHorz(horz);
  popup->SetAlignVert(properties->GetPopupVertAlignment());
  popup->SetClientEdge(properties->GetPopupClientEdge());
  popup->SetMinHeight(GetScaleFactor()->Apply(properties->GetPopupMinHeight(), properties->GetScaleFactor()));
  popup->SetMinWidth(GetScaleFactor()->Apply(properties->GetPopupMinWidth(), properties->GetScaleFactor()));
  popup->SetPopupAutoSize(properties->GetPopupAutoSize());
  popup->SetShowSearchInfoPanel(PopupWindowShowsSearchInfoPanel());
  popup->SetSizeable(properties->GetPopupSizeable());
  popup->SetSysPanelStyle(properties->GetPopupSysPanelStyle());
  popup->SetPopupWidth(GetPopupWidth());
  popup->SetPopupHeight(GetPopupHeight());
  popup->SetCloseButton(GetStyle()->GetPopupCloseButton());
  if (TcxCustomEditViewInfo* viewInfo = GetViewInfo()) {
    popup->SetBorderStyle(viewInfo->PopupBorderStyle);
    popup->SetNativeStyle(viewInfo->NativeStyle);
    popup->SetShadow(viewInfo->Shadow);
  }
  popup->GetFont()->Assign(GetStyle()->GetFont());
  if (GetActiveTextProperties()->UseIncrementalFiltering())
    popup->SetModalMode(false);
}

void TcxCustomDropDownEdit::SetupPopupWindow()
{
  TcxCustomEditPopupWindow* popup = FPopupWindow;
  popup->SetCaptureFocus(PopupWindowCapturesFocus());
  InitializeLookupData();
  InitializePopupWindow();
  TSize size{};
  TPoint position{};
  popup->LockCheckSize(true);
  {
    rtl::Finally unlock([popup] { popup->LockCheckSize(false); });
    popup->CalculateSize(size);
    popup->CalculatePosition(size, position);
    popup->CorrectBoundsWithDesktopWorkArea(position, size);
    popup->SetBounds(position.x, position.y, size.cx, size.cy);
  }
  popup->CalculateViewInfo();
  PositionPopupWindowChilds(popup->GetPopupViewInfo()->ClientRect);
  popup->Invalidate();
  popup->ApplyWindowRegion();
}

void TcxCustomDropDownEdit::PositionPopupWindowChilds(const TRect& AClientRect)
{
  IcxTextEditLookupData* lookup = GetILookupData();
  if (lookup && GetActiveTextProperties()->HasLookupData() && GetActiveTextProperties()->IsLookupDataVisual())
    lookup->PositionVisualArea(AClientRect);
}

// ---------------------------------------------------------------------------
// The drop-down cycle

void TcxCustomDropDownEdit::DoInitPopup()
{
  FireNotify(&TcxCustomDropDownEditProperties::GetOnInitPopup);
}

void TcxCustomDropDownEdit::DropDown()
{
  if (!HandleAllocated() || !IsWindowVisible(GetHandle()) || !FPopupWindow)
    return;
  const bool reallyVisible = GetParent() && GetParent()->GetVisible() && GetVisible() && GetLeft() != 30000;
  FCachedPosition = reallyVisible ? TPoint{GetLeft(), GetTop()} : TPoint{-30000, -30000};
  if (!FPopupInitialized) {
    FPopupInitialized = true;
    try {
      DoInitPopup();
    } catch (...) {
      FPopupInitialized = false;
      throw;
    }
    if (IcxTextEditLookupData* lookup = GetILookupData(); lookup && GetActiveTextProperties()->HasLookupData())
      lookup->DropDown();
  }
  if (!CanDropDown()) {
    DoFinalizePopup();
    return;
  }
  SetupPopupWindow();
  FPopupWindow->HandleNeeded();
  PostMessageW(FPopupWindow->GetHandle(), DXM_SHOWPOPUPWINDOW, 0, 0);
}

void TcxCustomDropDownEdit::DoPopup()
{
  FCloseUpReason = TcxEditCloseUpReason::crUnknown;
  FireNotify(&TcxCustomDropDownEditProperties::GetOnPopup);
}

void TcxCustomDropDownEdit::PopupShowed(rtl::TObject* /*Sender*/)
{
  PopupWindowShowed();
}

void TcxCustomDropDownEdit::PopupWindowShowed()
{
  ShortRefreshContainer(false);
  FPopupWindow->CalculateViewInfo();
  PositionPopupWindowChilds(FPopupWindow->GetPopupViewInfo()->ClientRect);
  DoPopup();
  UpdateDrawValue();
  IcxTextEditLookupData* lookup = GetILookupData();
  TcxCustomDropDownEditProperties* properties = GetActiveDropDownProperties();
  if (lookup && properties->HasLookupData() && GetFindSelection() && properties->GetImmediateDropDownWhenKeyPressed() &&
      properties->PopupWindowCapturesFocus())
    lookup->DroppedDown(GetDisplayText().substr(0, static_cast<std::size_t>(std::max<int>(GetSelStart(), 0))));
}

// ---------------------------------------------------------------------------
// The close-up cycle

void TcxCustomDropDownEdit::CloseUp(TcxEditCloseUpReason AReason)
{
  using enum TcxEditCloseUpReason;
  if (!HasPopupWindow())
    return;
  if (FCloseUpReason == crUnknown)
    FCloseUpReason = AReason;
  LockChangeEvents(true);
  {
    rtl::Finally unlock([this] { LockChangeEvents(false); });
    IcxTextEditLookupData* lookup = GetILookupData();
    if ((AReason == crTab || AReason == crClose || AReason == crEnter) && lookup &&
        GetActiveTextProperties()->HasLookupData()) {
      const rtl::Variant key = lookup->GetCurrentKey();
      LockClick(true);
      {
        rtl::Finally unlockClick([this] { LockClick(false); });
        lookup->SelectItem();
      }
      if (GetModifiedAfterEnter() && !cxVarIsEqual(key, lookup->GetCurrentKey()))
        ModifiedClick();
    }
    if ((AReason == crTab || AReason == crClose || AReason == crEnter) &&
        !GetActiveDropDownProperties()->PostAfterClose() && GetActiveProperties()->GetImmediatePost() &&
        CanPostEditValue())
      DoPostEditValue(true);
  }
  FPopupWindow->CloseUp();
}

void TcxCustomDropDownEdit::PopupClosing(rtl::TObject* /*Sender*/)
{
  PopupWindowClosing();
}

void TcxCustomDropDownEdit::PopupClosed(rtl::TObject* /*Sender*/)
{
  PopupWindowClosed();
}

void TcxCustomDropDownEdit::PopupWindowClosed()
{
  DoFinalizePopup();
  if (EditingStyle() == TcxEditEditingStyle::esFixedList)
    ShortRefreshContainer(false);
  DoCloseUp();
  TcxCustomDropDownEditProperties* properties = GetActiveDropDownProperties();
  if (properties->PostAfterClose() && properties->GetImmediatePost() && CanPostEditValue()) {
    LockChangeEvents(true);
    rtl::Finally unlock([this] { LockChangeEvents(false); });
    if (ValidateByOptions())
      DoPostEditValue(false);
  }
  ShortRefreshContainer(false);
}

void TcxCustomDropDownEdit::DoFinalizePopup()
{
  if (!FPopupInitialized)
    return;
  FPopupInitialized = false;
  if (IcxTextEditLookupData* lookup = GetILookupData(); lookup && GetActiveTextProperties()->HasLookupData())
    lookup->CloseUp();
  FireNotify(&TcxCustomDropDownEditProperties::GetOnFinalizePopup);
}

void TcxCustomDropDownEdit::DoCloseUp()
{
  FireClosePopup(FCloseUpReason);
  FireNotify(&TcxCustomDropDownEditProperties::GetOnCloseUp);
}

void TcxCustomDropDownEdit::PopupCloseQuery(rtl::TObject* /*Sender*/, bool& CanClose)
{
  if (vcl::TCloseQueryEvent handler = GetProperties()->GetOnCloseQuery())
    handler(this, CanClose);
  if (GetRepositoryItem())
    if (vcl::TCloseQueryEvent handler = GetActiveDropDownProperties()->GetOnCloseQuery())
      handler(this, CanClose);
}

void TcxCustomDropDownEdit::RemovePendingShowRequest(bool AFinishOpening)
{
  if (!FPopupWindow || !FPopupWindow->HandleAllocated())
    return;
  MSG msg;
  bool removed = false;
  while (PeekMessageW(&msg, FPopupWindow->GetHandle(), DXM_SHOWPOPUPWINDOW, DXM_SHOWPOPUPWINDOW, PM_REMOVE))
    removed = true;
  if (removed && AFinishOpening)
    PopupWindowClosed();
}

// ---------------------------------------------------------------------------
// Keys

void TcxCustomDropDownEdit::ProcessKeyDown(WORD& AKey, vcl::TShiftState AShift)
{
  using enum TcxEditCloseUpReason;
  AKey = cxMapEditKey(AKey);
  const bool alt = IsAltDown(AShift);
  if ((alt && (AKey == VK_UP || AKey == VK_DOWN)) || (AKey == VK_F4 && !alt)) {
    if (HasPopupWindow())
      CloseUp(crClose);
    else
      DropDown();
    AKey = 0;
    return;
  }
  if ((AKey == VK_RETURN || AKey == VK_ESCAPE) && !alt && HasPopupWindow()) {
    FIsPopupWindowJustClosed = true;
    const bool enter = AKey == VK_RETURN && DoEditing();
    CloseUp(enter ? crEnter : crCancel);
    if (!HasPopupWindow()) {
      if (AKey == VK_ESCAPE)
        ReleaseCapture();
      AKey = 0;
      return;
    }
  }
  inherited::ProcessKeyDown(AKey, AShift);
}

void TcxCustomDropDownEdit::ProcessKeyPress(wchar_t& AKey)
{
  if (AKey >= L' ' && GetActiveDropDownProperties()->GetImmediateDropDownWhenKeyPressed() && !HasPopupWindow() &&
      !IsPopupShowPending()) {
    DropDown();
    if (PopupWindowCapturesFocus() && AKey != L'\r' && CanDropDown() && GetPopupFocusedControl() &&
        FPopupWindow->HandleAllocated()) {
      PostMessageW(FPopupWindow->GetHandle(), DXM_DROPDOWNRESENDCHAR, AKey, 0);
      AKey = 0;
      return;
    }
  }
  inherited::ProcessKeyPress(AKey);
}

void TcxCustomDropDownEdit::HandleTabKey(vcl::TShiftState AShift)
{
  if (HasPopupWindow() && GetActiveDropDownProperties()->GetPostPopupValueOnTab())
    CloseUp(TcxEditCloseUpReason::crTab);
  inherited::HandleTabKey(AShift);
}

bool TcxCustomDropDownEdit::WantsTabKey()
{
  return inherited::WantsTabKey() || (HasPopupWindow() && GetActiveDropDownProperties()->GetPostPopupValueOnTab());
}

bool TcxCustomDropDownEdit::IsEditorKey(WORD AKey, vcl::TShiftState AShift)
{
  if (inherited::IsEditorKey(AKey, AShift))
    return true;
  return IsInplace() && HasPopupWindow() &&
         (IsAltDown(AShift) || AShift.Contains(vcl::TShiftStateItem::ssCtrl) || cxIsSpecialVirtualKey(AKey));
}

bool TcxCustomDropDownEdit::ResendsActivationKey(wchar_t AKey)
{
  return !(GetActiveDropDownProperties()->GetImmediateDropDownWhenKeyPressed() && PopupWindowCapturesFocus() &&
           AKey != L'\r');
}

// ---------------------------------------------------------------------------
// Mouse and focus

void TcxCustomDropDownEdit::ButtonDown(int AButtonVisibleIndex)
{
  inherited::ButtonDown(AButtonVisibleIndex);
  if (AButtonVisibleIndex != GetActiveDropDownProperties()->GetDropDownButtonIndex())
    return;
  // The press that closed the popup does not open it again.
  if (FPopupWindow && FPopupWindow->JustClosed())
    return;
  if (HasPopupWindow())
    CloseUp(TcxEditCloseUpReason::crUnknown);
  else
    DropDown();
}

void TcxCustomDropDownEdit::MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  const bool justClosed = FPopupWindow && FPopupWindow->JustClosed();
  inherited::MouseDown(AButton, AShift, X, Y);
  if (AButton != vcl::TMouseButton::mbLeft || FIsActivatingByMouse || justClosed ||
      !GetActiveDropDownProperties()->DropDownOnClick() || HasPopupWindow() || !inherited::Focused())
    return;
  TcxCustomEditViewInfo* viewInfo = GetViewInfo();
  const TPoint P{X, Y};
  if (viewInfo && PtInRect(&viewInfo->ClientRect, P) && GetButtonIndexAt(P) < 0)
    DropDown();
}

// ---------------------------------------------------------------------------
// Wheel and paste

bool TcxCustomDropDownEdit::CanWheelScrollLookup(vcl::TShiftState AShift)
{
  IcxTextEditLookupData* lookup = GetActiveTextProperties()->HasLookupData() ? GetILookupData() : nullptr;
  return lookup && CanScrollLookupItems(true) && !HasPopupWindow() && !lookup->IsEmpty() &&
         CanHandleMouseWheel(AShift);
}

bool TcxCustomDropDownEdit::CanMouseWheelScroll(vcl::TShiftState AShift, int AWheelDelta, const TPoint& AMousePos)
{
  return inherited::CanMouseWheelScroll(AShift, AWheelDelta, AMousePos) || CanWheelScrollLookup(AShift);
}

bool TcxCustomDropDownEdit::DoMouseWheelScroll(vcl::TShiftState AShift, int AWheelDelta, const TPoint& AMousePos)
{
  if (inherited::DoMouseWheelScroll(AShift, AWheelDelta, AMousePos))
    return true;
  if (!CanWheelScrollLookup(AShift) || !DoEditing())
    return false;
  // A step like the arrow keys, never circular.
  WORD key = AWheelDelta > 0 ? VK_UP : VK_DOWN;
  LookupNavigate(key, {});
  return true;
}

bool TcxCustomDropDownEdit::DoMouseWheel(vcl::TShiftState AShift, int AWheelDelta, TPoint AMousePos)
{
  if (inherited::DoMouseWheel(AShift, AWheelDelta, AMousePos))
    return true;
  if (!CanScrollLookupItems(true) || !HasPopupWindow() || !GetActiveTextProperties()->HasLookupData())
    return false;
  IcxTextEditLookupData* lookup = GetILookupData();
  if (!lookup || lookup->IsEmpty())
    return false;
  // The open list scrolls, not the editor.
  vcl::TWinControl* active = lookup->GetActiveControl();
  if (active && active->HandleAllocated()) {
    WORD keys = 0;
    if (AShift.Contains(vcl::TShiftStateItem::ssShift))
      keys |= MK_SHIFT;
    if (AShift.Contains(vcl::TShiftStateItem::ssCtrl))
      keys |= MK_CONTROL;
    SendMessageW(active->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(keys, static_cast<WORD>(AWheelDelta)),
                 MAKELPARAM(static_cast<WORD>(AMousePos.x), static_cast<WORD>(AMousePos.y)));
  }
  return true;
}

void TcxCustomDropDownEdit::PasteFromClipboard()
{
  if (!inherited::Focused()) {
    inherited::PasteFromClipboard();
    return;
  }
  const rtl::String before = GetText();
  inherited::PasteFromClipboard();
  if (GetText() == before || !GetActiveDropDownProperties()->GetImmediateDropDownWhenKeyPressed() ||
      HasPopupWindow())
    return;
  DropDown();
  if (GetActiveTextProperties()->HasLookupData() && HandleAllocated())
    PostMessageW(GetHandle(), DXM_DROPDOWNPASTETEXTCHANGED, 0, 0);
}

void TcxCustomDropDownEdit::HandlePasteTextChanged(rtl::TMessage& /*AMessage*/)
{
  IcxTextEditLookupData* lookup = GetILookupData();
  if (!lookup || !HasPopupWindow())
    return;
  const int oldItem = LookupKeyToItemIndex(lookup->GetCurrentKey());
  LockClick(true);
  {
    rtl::Finally unlock([this] { LockClick(false); });
    lookup->TextChanged();
  }
  if (LookupKeyToItemIndex(lookup->GetCurrentKey()) != oldItem)
    ModifiedClick();
  const TcxEditEditingStyle style = GetActiveTextProperties()->GetEditingStyle();
  if (style == TcxEditEditingStyle::esEdit) {
    const rtl::String text = GetText();
    SetFindSelection(GetSelStart() == static_cast<int>(text.size()) && lookup->Find(text));
  } else if (style == TcxEditEditingStyle::esFixedList) {
    SetFindSelection(true);
  }
}

void TcxCustomDropDownEdit::DoExit()
{
  CloseUp(TcxEditCloseUpReason::crUnknown);
  inherited::DoExit();
}

void TcxCustomDropDownEdit::DoFocusChanged()
{
  if (HasPopupWindow() && !PopupWindowCapturesFocus() && GetInnerControl() && GetInnerControl()->HandleAllocated() &&
      GetFocus() != GetInnerControl()->GetHandle() && !inherited::Focused())
    CloseUp(TcxEditCloseUpReason::crUnknown);
  inherited::DoFocusChanged();
}

void TcxCustomDropDownEdit::HandleCMHintShow(rtl::TMessage& AMessage)
{
  rtl::InheritedMessage(this, AMessage);
  if (HasPopupWindow())
    AMessage.Result += 1;
}

void TcxCustomDropDownEdit::PropertiesChanged(rtl::TObject* Sender)
{
  if (!GetActiveDropDownProperties()->GetPopupSizeable())
    FPopupSizeChanged = false;
  if (HasPopupWindow())
    SetupPopupWindow();
  inherited::PropertiesChanged(Sender);
}

// ---------------------------------------------------------------------------
// In-place activation

void TcxCustomDropDownEdit::Activate(TcxCustomEditData*& AEditData, bool ANeedSetFocus)
{
  inherited::Activate(AEditData, ANeedSetFocus);
  auto* data = rtl::As<TcxCustomDropDownEditData>(GetEditData());
  FPopupSizeChanged = data && data->Initialized && GetActiveDropDownProperties()->GetPopupSizeable();
  if (GetActiveDropDownProperties()->GetImmediateDropDownWhenActivated())
    DropDown();
}

void TcxCustomDropDownEdit::ActivateByKey(wchar_t AKey, TcxCustomEditData*& AEditData)
{
  inherited::ActivateByKey(AKey, AEditData);
  TcxCustomDropDownEditProperties* properties = GetActiveDropDownProperties();
  const bool resent = ResendsActivationKey(AKey);
  if (AKey >= L' ' && properties->GetImmediateDropDownWhenKeyPressed() &&
      !properties->GetImmediateDropDownWhenActivated() && !resent)
    DropDown();
  if (!resent && CanDropDown() && GetPopupFocusedControl() && FPopupWindow && FPopupWindow->HandleAllocated())
    PostMessageW(FPopupWindow->GetHandle(), DXM_DROPDOWNRESENDCHAR, AKey, 0);
}

bool TcxCustomDropDownEdit::Deactivate()
{
  CloseUp(TcxEditCloseUpReason::crUnknown);
  if (auto* data = rtl::As<TcxCustomDropDownEditData>(GetEditData()))
    data->Initialized = FPopupSizeChanged;
  const bool result = inherited::Deactivate();
  RemovePendingShowRequest(true);
  return result;
}
