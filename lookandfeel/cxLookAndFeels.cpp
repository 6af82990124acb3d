#include "lookandfeel/cxLookAndFeels.h"

#include <algorithm>
#include <vector>

#include "core/cxGeometry.h"
#include "core/dxCore.h"
#include "core/dxDPIAwareUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Controls.h"

using enum TcxLookAndFeelKind;
using enum TcxLookAndFeelStyle;
using enum TcxLookAndFeelValue;
using enum TdxScrollbarMode;
using enum TdxTouchScrollUIMode;

namespace {

TcxLookAndFeelData DefaultData()
{
  return {lfUltraFlat, true, {}, sbmDefault, false};
}

constexpr TcxLookAndFeelValues kAllValues{lfvKind, lfvNativeStyle, lfvSkinName, lfvScrollbarMode};

TcxLookAndFeel* RootLookAndFeel;
bool UseSkins = true;
bool TouchMode = false;
int ControllerCount = 0;
// Set only while a touch-mode change refreshes the root: every look and
// feel then re-resolves and announces even an empty set.
bool ForcedRefresh = false;

template <class I>
rtl::IPtr<I> InterfaceOf(rtl::TObject* AObject)
{
  rtl::IPtr<I> result;
  rtl::Supports<I>(AObject, &result);
  return result;
}

bool IsController(rtl::TObject* AListener)
{
  const rtl::IPtr<IcxLookAndFeelNotificationListener> listener =
      InterfaceOf<IcxLookAndFeelNotificationListener>(AListener);
  return listener && rtl::Is<TcxLookAndFeelController>(listener->GetListenerObject());
}

}  // namespace

TcxLookAndFeel* cxGetRootLookAndFeel()
{
  return RootLookAndFeel;
}

bool cxUseSkins()
{
  return UseSkins;
}

void cxSetUseSkins(bool AValue)
{
  UseSkins = AValue;
}

bool cxTouchMode()
{
  return TouchMode;
}

// ---------------------------------------------------------------------------
// TcxLookAndFeel

void TcxLookAndFeel::Create(rtl::TPersistent* AOwner)
{
  inherited::Create(AOwner);
  FChangeListenerList = rtl::New<TcxObjectList>(false);
  FData = DefaultData();
  FCurrentState = FData;
  FSystemPaletteChangedNotifier = rtl::New<TcxSystemPaletteChangedNotifier>(false);
  FSystemPaletteChangedNotifier->SetOnSystemPaletteChanged(
      TcxSystemPaletteChangedEvent::Bind<&TcxLookAndFeel::PaletteChanged>(this));
  if (RootLookAndFeel) {
    RootLookAndFeel->AddChangeListener(this);
    UpdateCurrentState();
  }
  UpdatePainter();
}

void TcxLookAndFeel::Destroy()
{
  rtl::FreeAndNil(FSystemPaletteChangedNotifier);
  if (FChangeListenerList)
    NotifyDestroying();
  rtl::FreeAndNil(FChangeListenerList);
  if (TcxLookAndFeel* master = GetMasterLookAndFeel())
    master->RemoveChangeListener(this);
  if (FIsRootLookAndFeel) {
    if (RootLookAndFeel == this)
      RootLookAndFeel = nullptr;
    FIsRootLookAndFeel = false;
  }
  inherited::Destroy();
}

void TcxLookAndFeel::Assign(rtl::TPersistent* Source)
{
  if (!rtl::Is<TcxLookAndFeel>(Source)) {
    inherited::Assign(Source);
    return;
  }
  auto* source = static_cast<TcxLookAndFeel*>(Source);
  // The master's setter announces on its own; one announcement of the
  // whole copy is enough.
  BeginUpdate();
  const rtl::Finally endUpdate([this] { EndUpdate(); });
  SaveState();
  FData = source->FData;
  FAssignedValues = source->FAssignedValues;
  SetMasterLookAndFeel(source->GetMasterLookAndFeel());
  ChangedSinceSave();
}

void TcxLookAndFeel::BeginUpdate()
{
  ++FUpdateLockCount;
}

void TcxLookAndFeel::EndUpdate()
{
  if (FUpdateLockCount == 0 || --FUpdateLockCount > 0)
    return;
  const TcxLookAndFeelValues changed = FChangedValues;
  FChangedValues = {};
  Changed(changed);
}

void TcxLookAndFeel::Refresh()
{
  Changed(kAllValues);
}

void TcxLookAndFeel::Reset()
{
  SetAssignedValues({});
  if (FIsRootLookAndFeel) {
    // The skins' image-set choice belongs to the skin controller, which
    // resets it itself.
    UseSkins = true;
    TouchMode = false;
  }
}

void TcxLookAndFeel::SetStyle(TcxLookAndFeelStyle AValue)
{
  SetNativeStyle(AValue == lfsNative);
  if (GetNativeStyle())
    return;
  static constexpr TcxLookAndFeelKind kKindOfStyle[] = {lfFlat, lfStandard, lfUltraFlat, lfStandard, lfOffice11,
                                                        lfUltraFlat};
  SetKind(kKindOfStyle[AValue]);
}

void TcxLookAndFeel::AddChangeListener(rtl::TObject* AListener)
{
  if (!rtl::Supports<IcxLookAndFeelNotificationListener>(AListener))
    return;
  const bool controller = IsController(AListener);
  if (controller && !FIsRootLookAndFeel)
    return;
  if (FChangeListenerList->IndexOf(AListener) >= 0)
    return;
  FChangeListenerList->Add(AListener);
  if (controller)
    ++ControllerCount;
}

void TcxLookAndFeel::RemoveChangeListener(rtl::TObject* AListener)
{
  if (!rtl::Supports<IcxLookAndFeelNotificationListener>(AListener) || !FChangeListenerList ||
      FChangeListenerList->IndexOf(AListener) < 0)
    return;
  if (!FIsDestruction)
    FChangeListenerList->Remove(AListener);
  if (FIsRootLookAndFeel && IsController(AListener) && --ControllerCount == 0)
    Reset();
}

TcxCustomLookAndFeelPainter* TcxLookAndFeel::GetAvailablePainter(TdxThemedObjectTypes ANeededThemedObjectTypes)
{
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  if (!manager)
    return nullptr;
  if (GetNativeStyle() && dxThemesAvailable(ANeededThemedObjectTypes))
    return manager->GetPainter(lfsNative);
  if (FSkinPainter)
    return FSkinPainter;
  return manager->GetPainter(GetActiveStyle());
}

TcxCustomLookAndFeelPainter* TcxLookAndFeel::GetAvailablePainter(TdxThemedObjectType ANeededThemedObjectType)
{
  return GetAvailablePainter(TdxThemedObjectTypes{ANeededThemedObjectType});
}

void TcxLookAndFeel::SetAssignedValues(TcxLookAndFeelValues AValue)
{
  if (AValue == FAssignedValues)
    return;
  SaveState();
  FAssignedValues = AValue;
  ChangedSinceSave();
}

void TcxLookAndFeel::SetKind(TcxLookAndFeelKind AValue)
{
  const TcxLookAndFeelKind previous = GetKind();
  FAssignedValues.Include(lfvKind);
  FData.Kind = AValue;
  if (EffectiveKind() != previous)
    Changed({lfvKind});
}

void TcxLookAndFeel::SetNativeStyle(bool AValue)
{
  const bool previous = GetNativeStyle();
  FAssignedValues.Include(lfvNativeStyle);
  FData.NativeStyle = AValue;
  if (EffectiveNativeStyle() != previous)
    Changed({lfvNativeStyle});
}

void TcxLookAndFeel::SetSkinName(const TdxSkinName& AValue)
{
  const TdxSkinName previous = GetSkinName();
  FAssignedValues.Include(lfvSkinName);
  FData.SkinName = AValue;
  if (EffectiveSkinName() != previous)
    Changed({lfvSkinName});
}

void TcxLookAndFeel::SetScrollbarMode(TdxScrollbarMode AValue)
{
  const TdxScrollbarMode previous = GetScrollbarMode();
  FAssignedValues.Include(lfvScrollbarMode);
  FData.ScrollbarMode = AValue;
  if (EffectiveScrollbarMode() != previous)
    Changed({lfvScrollbarMode});
}

TdxTouchScrollUIMode TcxLookAndFeel::GetTouchScrollUIMode() const
{
  switch (GetScrollbarMode()) {
    case sbmDefault:
      return tsmDefault;
    case sbmTouch:
      return tsmEnabled;
    default:
      return tsmDisabled;
  }
}

void TcxLookAndFeel::SetTouchScrollUIMode(TdxTouchScrollUIMode AValue)
{
  SetScrollbarMode(AValue == tsmDefault ? sbmDefault : AValue == tsmEnabled ? sbmTouch : sbmClassic);
}

TcxLookAndFeelStyle TcxLookAndFeel::GetActiveStyle() const
{
  if (GetNativeStyle() && dxThemesAvailable())
    return lfsNative;
  if (FSkinPainter)
    return lfsSkin;
  static constexpr TcxLookAndFeelStyle kStyleOfKind[] = {lfsFlat, lfsStandard, lfsUltraFlat, lfsOffice11};
  return kStyleOfKind[GetKind()];
}

TcxLookAndFeel* TcxLookAndFeel::GetMasterLookAndFeel() const
{
  if (FIsRootLookAndFeel)
    return nullptr;
  return FMasterLookAndFeel ? FMasterLookAndFeel : RootLookAndFeel;
}

void TcxLookAndFeel::SetMasterLookAndFeel(TcxLookAndFeel* AValue)
{
  if (FIsRootLookAndFeel || AValue == this || AValue == GetMasterLookAndFeel())
    return;
  SaveState();
  if (TcxLookAndFeel* master = GetMasterLookAndFeel())
    master->RemoveChangeListener(this);
  FMasterLookAndFeel = AValue;
  if (TcxLookAndFeel* master = GetMasterLookAndFeel())
    master->AddChangeListener(this);
  ChangedSinceSave();
}

void __stdcall TcxLookAndFeel::MasterChanged(TcxLookAndFeel*, TcxLookAndFeelValues AChangedValues)
{
  // Values assigned here are not the master's business.
  Changed(AChangedValues - FAssignedValues);
}

void __stdcall TcxLookAndFeel::MasterDestroying(TcxLookAndFeel*)
{
  SetMasterLookAndFeel(nullptr);
}

void __stdcall TcxLookAndFeel::MasterBeginChange()
{
  if (FOnMasterBeginChange)
    FOnMasterBeginChange(this);
}

void __stdcall TcxLookAndFeel::MasterEndChange()
{
  if (FOnMasterEndChange)
    FOnMasterEndChange(this);
}

TcxCustomLookAndFeelPainter* TcxLookAndFeel::FindSkinPainter(const TdxSkinName& AName)
{
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  if (!UseSkins || AName.empty() || !manager)
    return nullptr;
  return manager->GetPainter(AName);
}

void TcxLookAndFeel::UpdateCurrentState()
{
  FCurrentState.Kind = EffectiveKind();
  FCurrentState.NativeStyle = EffectiveNativeStyle();
  FCurrentState.SkinName = EffectiveSkinName();
  FCurrentState.ScrollbarMode = EffectiveScrollbarMode();
  FCurrentState.UseSkins = UseSkins;
  FSkinPainter = FCurrentState.NativeStyle ? nullptr : EffectiveSkinPainter();
}

void TcxLookAndFeel::UpdatePainter()
{
  FPainter = GetAvailablePainter(TdxThemedObjectTypes{});
}

TcxLookAndFeel* TcxLookAndFeel::InheritanceSource() const
{
  return GetMasterLookAndFeel();
}

template <typename T>
T TcxLookAndFeel::Effective(TcxLookAndFeelValue AValue, T TcxLookAndFeelData::*AField)
{
  if (FAssignedValues.Contains(AValue))
    return FData.*AField;
  if (TcxLookAndFeel* source = InheritanceSource())
    return source->FCurrentState.*AField;
  return DefaultData().*AField;
}

TcxLookAndFeelKind TcxLookAndFeel::EffectiveKind()
{
  return Effective(lfvKind, &TcxLookAndFeelData::Kind);
}

bool TcxLookAndFeel::EffectiveNativeStyle()
{
  return Effective(lfvNativeStyle, &TcxLookAndFeelData::NativeStyle);
}

TdxSkinName TcxLookAndFeel::EffectiveSkinName()
{
  return Effective(lfvSkinName, &TcxLookAndFeelData::SkinName);
}

TdxScrollbarMode TcxLookAndFeel::EffectiveScrollbarMode()
{
  return Effective(lfvScrollbarMode, &TcxLookAndFeelData::ScrollbarMode);
}

TcxCustomLookAndFeelPainter* TcxLookAndFeel::EffectiveSkinPainter()
{
  if (FAssignedValues.Contains(lfvSkinName))
    return FindSkinPainter(FData.SkinName);
  // The master lends its skin by name even while its own native style
  // keeps its skin painter nil.
  if (TcxLookAndFeel* master = InheritanceSource())
    return master->FindSkinPainter(master->GetSkinName());
  return nullptr;
}

void TcxLookAndFeel::SystemPaletteChanged()
{
  Changed({lfvNativeStyle});
}

void TcxLookAndFeel::Changed(TcxLookAndFeelValues AChangedValues)
{
  if (FIsDestruction)
    return;
  if (FCurrentState.UseSkins != UseSkins)
    AChangedValues.Include(lfvSkinName);
  if (AChangedValues.Empty() && !ForcedRefresh)
    return;
  UpdateCurrentState();
  UpdatePainter();
  if (FUpdateLockCount > 0) {
    FChangedValues += AChangedValues;
    return;
  }
  NotifyListeners(AChangedValues);
  if (FOnChanged)
    FOnChanged(this, AChangedValues);
}

void TcxLookAndFeel::SaveState()
{
  FPrevState = FCurrentState;
}

TcxLookAndFeelValues TcxLookAndFeel::DifferencesFrom(const TcxLookAndFeelData& AState) const
{
  TcxLookAndFeelValues result;
  if (GetKind() != AState.Kind)
    result.Include(lfvKind);
  if (GetNativeStyle() != AState.NativeStyle)
    result.Include(lfvNativeStyle);
  if (GetSkinName() != AState.SkinName)
    result.Include(lfvSkinName);
  if (GetScrollbarMode() != AState.ScrollbarMode)
    result.Include(lfvScrollbarMode);
  return result;
}

void TcxLookAndFeel::ChangedSinceSave()
{
  // The resolved values must be current before they are compared.
  const TcxLookAndFeelData saved = FPrevState;
  UpdateCurrentState();
  Changed(DifferencesFrom(saved));
}

namespace {

// Calls AProc for every listener registered when the walk began that is
// still registered when its turn comes: a listener that removes itself or
// another one neither makes a neighbour miss the call nor is reached after
// it has gone, and one registered during the walk waits for the next.
template <typename Proc>
void ForEachListener(TcxObjectList* AList, Proc AProc)
{
  std::vector<rtl::TObject*> snapshot;
  snapshot.reserve(AList->GetCount());
  for (int i = 0; i < AList->GetCount(); ++i)
    snapshot.push_back(AList->GetItem(i));
  for (rtl::TObject* listener : snapshot)
    if (AList->IndexOf(listener) >= 0)
      AProc(listener);
}

}  // namespace

void TcxLookAndFeel::NotifyListeners(TcxLookAndFeelValues AChangedValues)
{
  ForEachListener(FChangeListenerList, [](rtl::TObject* AListener) {
    if (auto listener = InterfaceOf<IcxLookAndFeelNotificationListener2>(AListener))
      listener->MasterBeginChange();
  });
  ForEachListener(FChangeListenerList, [&](rtl::TObject* AListener) {
    if (auto listener = InterfaceOf<IcxLookAndFeelNotificationListener>(AListener))
      listener->MasterChanged(this, AChangedValues);
  });
  ForEachListener(FChangeListenerList, [](rtl::TObject* AListener) {
    if (auto listener = InterfaceOf<IcxLookAndFeelNotificationListener2>(AListener))
      listener->MasterEndChange();
  });
}

void TcxLookAndFeel::NotifyDestroying()
{
  FIsDestruction = true;
  // The list does not change during this walk: removals are ignored.
  ForEachListener(FChangeListenerList, [&](rtl::TObject* AListener) {
    if (auto listener = InterfaceOf<IcxLookAndFeelNotificationListener>(AListener))
      listener->MasterDestroying(this);
  });
  FIsDestruction = false;
}

void TcxLookAndFeel::PainterRemoved(TcxCustomLookAndFeelPainter* APainter)
{
  // An object that assigns all four values ignores its master's refresh, so
  // it would otherwise keep painting with the freed painter.
  if (FSkinPainter == APainter)
    Changed({lfvSkinName});
  else if (FPainter == APainter)
    Changed({lfvKind});
  ForEachListener(FChangeListenerList, [&](rtl::TObject* AListener) {
    if (rtl::Is<TcxLookAndFeel>(AListener))
      static_cast<TcxLookAndFeel*>(AListener)->PainterRemoved(APainter);
  });
}

void cxLookAndFeelsPainterRemoved(TcxLookAndFeel* ALookAndFeel, TcxCustomLookAndFeelPainter* APainter)
{
  ALookAndFeel->PainterRemoved(APainter);
}

// ---------------------------------------------------------------------------
// The root and the unit

namespace {

// Hears of painters leaving the manager and makes every look and feel under
// the root let go of them.
class TcxLookAndFeelPainterRemovalListener : public TcxIUnknownObject, public IcxLookAndFeelPainterListener {
  RTL_CLASS(TcxLookAndFeelPainterRemovalListener, TcxIUnknownObject)
  RTL_INTERFACES(IcxLookAndFeelPainterListener)

 public:
  void __stdcall PainterAdded(TcxCustomLookAndFeelPainter*) override {}
  void __stdcall PainterRemoved(TcxCustomLookAndFeelPainter* APainter) override
  {
    if (RootLookAndFeel)
      cxLookAndFeelsPainterRemoved(RootLookAndFeel, APainter);
  }
};

TcxLookAndFeelPainterRemovalListener* PainterRemovalListener;

}  // namespace

void cxCreateRootLookAndFeel()
{
  // Made before it is marked, so it registers with nobody and keeps the
  // defaults.
  TcxLookAndFeel* root = rtl::New<TcxLookAndFeel>(nullptr);
  root->FIsRootLookAndFeel = true;
  RootLookAndFeel = root;
  if (TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager()) {
    PainterRemovalListener = rtl::New<TcxLookAndFeelPainterRemovalListener>();
    manager->AddListener(PainterRemovalListener);
  }
}

void cxFreeRootLookAndFeel()
{
  if (PainterRemovalListener) {
    if (TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager())
      manager->RemoveListener(PainterRemovalListener);
    rtl::FreeAndNil(PainterRemovalListener);
  }
  // Cleared first: during the root's destroying walk the listeners already
  // fall back to the defaults.
  TcxLookAndFeel* root = RootLookAndFeel;
  RootLookAndFeel = nullptr;
  rtl::Free(root);
  ControllerCount = 0;
}

namespace {

void cxLookAndFeelsInitialization()
{
  dxGetUnitsLoader()->AddUnit(&cxCreateRootLookAndFeel, &cxFreeRootLookAndFeel);
}

void cxLookAndFeelsFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&cxFreeRootLookAndFeel);
}

}  // namespace

RTL_UNIT(cxLookAndFeels, &cxLookAndFeelsInitialization, &cxLookAndFeelsFinalization);

// ---------------------------------------------------------------------------
// TcxLookAndFeelController

void TcxLookAndFeelController::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  if (RootLookAndFeel)
    RootLookAndFeel->AddChangeListener(this);
}

void TcxLookAndFeelController::Destroy()
{
  if (RootLookAndFeel)
    RootLookAndFeel->RemoveChangeListener(this);
  inherited::Destroy();
}

void TcxLookAndFeelController::BeginUpdate()
{
  if (RootLookAndFeel)
    RootLookAndFeel->BeginUpdate();
}

void TcxLookAndFeelController::EndUpdate()
{
  if (RootLookAndFeel)
    RootLookAndFeel->EndUpdate();
}

void TcxLookAndFeelController::Reset()
{
  if (RootLookAndFeel)
    RootLookAndFeel->Reset();
}

TcxLookAndFeelKind TcxLookAndFeelController::GetKind() const
{
  return RootLookAndFeel ? RootLookAndFeel->GetKind() : DefaultData().Kind;
}

void TcxLookAndFeelController::SetKind(TcxLookAndFeelKind AValue)
{
  if (RootLookAndFeel)
    RootLookAndFeel->SetKind(AValue);
}

bool TcxLookAndFeelController::GetNativeStyle() const
{
  return RootLookAndFeel ? RootLookAndFeel->GetNativeStyle() : DefaultData().NativeStyle;
}

void TcxLookAndFeelController::SetNativeStyle(bool AValue)
{
  if (RootLookAndFeel)
    RootLookAndFeel->SetNativeStyle(AValue);
}

TdxScrollbarMode TcxLookAndFeelController::GetScrollbarMode() const
{
  return RootLookAndFeel ? RootLookAndFeel->GetScrollbarMode() : DefaultData().ScrollbarMode;
}

void TcxLookAndFeelController::SetScrollbarMode(TdxScrollbarMode AValue)
{
  if (RootLookAndFeel)
    RootLookAndFeel->SetScrollbarMode(AValue);
}

TdxSkinName TcxLookAndFeelController::GetSkinName() const
{
  return RootLookAndFeel ? RootLookAndFeel->GetSkinName() : TdxSkinName();
}

void TcxLookAndFeelController::SetSkinName(const TdxSkinName& AValue)
{
  if (RootLookAndFeel)
    RootLookAndFeel->SetSkinName(AValue);
}

bool TcxLookAndFeelController::GetTouchMode() const
{
  return TouchMode;
}

void TcxLookAndFeelController::SetTouchMode(bool AValue)
{
  if (AValue == TouchMode || !RootLookAndFeel)
    return;
  ForcedRefresh = true;
  const rtl::Finally clearFlag([] { ForcedRefresh = false; });
  TouchMode = AValue;
  RootLookAndFeel->Refresh();
}

bool TcxLookAndFeelController::GetTouchScrollUIMode() const
{
  return cxIsTouchScrollUIMode();
}

void TcxLookAndFeelController::SetTouchScrollUIMode(bool AValue)
{
  if (AValue != cxIsTouchScrollUIMode())
    SetScrollbarMode(AValue ? sbmTouch : sbmClassic);
}

void __stdcall TcxLookAndFeelController::MasterChanged(TcxLookAndFeel*, TcxLookAndFeelValues)
{
  HandleRootChanged();
}

void __stdcall TcxLookAndFeelController::MasterDestroying(TcxLookAndFeel*)
{
  HandleRootDestroying();
}

void TcxLookAndFeelController::HandleRootChanged()
{
  // A form designer would be told here; there is none at run time.
}

void TcxLookAndFeelController::HandleRootDestroying()
{
}

// ---------------------------------------------------------------------------
// Unit routines

void cxApplyMasterLookAndFeel(vcl::TControl* AControl, TcxLookAndFeel* ALookAndFeel)
{
  if (!AControl)
    return;
  if (auto container = InterfaceOf<IcxLookAndFeelContainer>(AControl)) {
    container->GetLookAndFeel()->SetMasterLookAndFeel(ALookAndFeel);
  } else {
    for (int i = 0; i < AControl->GetComponentCount(); ++i)
      if (auto owned = InterfaceOf<IcxLookAndFeelContainer>(AControl->GetComponents(i)))
        owned->GetLookAndFeel()->SetMasterLookAndFeel(ALookAndFeel);
  }
  if (rtl::Is<vcl::TWinControl>(AControl)) {
    auto* parent = static_cast<vcl::TWinControl*>(AControl);
    for (int i = 0; i < parent->GetControlCount(); ++i)
      cxApplyMasterLookAndFeel(parent->GetControls(i), ALookAndFeel);
  }
}

bool cxIsTouchScrollUIMode()
{
  return !RootLookAndFeel || RootLookAndFeel->GetScrollbarMode() == sbmDefault ||
         RootLookAndFeel->GetScrollbarMode() == sbmTouch;
}

void cxEnsureTouchExtent(int& AExtent, const TdxScaleFactor* AScaleFactor)
{
  if (!TouchMode || AExtent <= 0)
    return;
  const TdxScaleFactor* factor = AScaleFactor ? AScaleFactor : dxGetSystemScaleFactor();
  AExtent = std::max(AExtent, factor->Apply(27));
}

void cxEnsureTouchSize(TSize& ASize, const TdxScaleFactor* AScaleFactor)
{
  int cx = ASize.cx;
  int cy = ASize.cy;
  cxEnsureTouchExtent(cx, AScaleFactor);
  cxEnsureTouchExtent(cy, AScaleFactor);
  ASize = {cx, cy};
}
