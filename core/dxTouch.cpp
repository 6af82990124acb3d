#include "core/dxTouch.h"

#include <cstdlib>

#include "core/dxUxTheme.h"

using enum TdxGestureFlag;

namespace {

using TGetGestureInfo = BOOL(WINAPI*)(HGESTUREINFO, PGESTUREINFO);
using TCloseGestureInfoHandle = BOOL(WINAPI*)(HGESTUREINFO);
using TSetGestureConfig = BOOL(WINAPI*)(HWND, DWORD, UINT, PGESTURECONFIG, UINT);
using TPhysicalToLogicalPoint = BOOL(WINAPI*)(HWND, LPPOINT);

// The user32 gesture functions, bound by name on first need: systems before
// Windows 7 lack them.
template <class F>
F User32Function(const char* AName)
{
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), AName)));
}

// The pan flags by option, in option order.
struct TPanFlag {
  DWORD Flag;
  TdxInteractiveGestureOption Option;
};
constexpr TPanFlag kPanFlags[] = {
    {GC_PAN_WITH_SINGLE_FINGER_HORIZONTALLY, TdxInteractiveGestureOption::igoPanSingleFingerHorizontal},
    {GC_PAN_WITH_SINGLE_FINGER_VERTICALLY, TdxInteractiveGestureOption::igoPanSingleFingerVertical},
    {GC_PAN_WITH_INERTIA, TdxInteractiveGestureOption::igoPanInertia},
    {GC_PAN_WITH_GUTTER, TdxInteractiveGestureOption::igoPanGutter},
};

TPoint GStartPoint{};

LONG& Axis(TPoint& APoint, TdxScrollKind AKind)
{
  return AKind == sbHorizontal ? APoint.x : APoint.y;
}

}  // namespace

int dxGestureIDToIndex(DWORD AID)
{
  switch (AID) {
    case GID_ZOOM:
      return 0;
    case GID_PAN:
      return 1;
    case GID_ROTATE:
      return 2;
    case GID_TWOFINGERTAP:
      return 3;
    default:
      return 4;
  }
}

TdxInteractiveGestureOption dxPanOptionToGestureOption(DWORD AFlag)
{
  for (const TPanFlag& entry : kPanFlags)
    if (entry.Flag == AFlag)
      return entry.Option;
  return TdxInteractiveGestureOption::igoPanInertia;
}

TdxInteractiveGestureOptions dxGestureOptionsFromPanOptions(DWORD AFlags)
{
  TdxInteractiveGestureOptions result;
  for (const TPanFlag& entry : kPanFlags)
    if (AFlags & entry.Flag)
      result.Include(entry.Option);
  return result;
}

DWORD dxPanOptionsFromGestureOptions(TdxInteractiveGestureOptions AOptions)
{
  DWORD result = 0;
  for (const TPanFlag& entry : kPanFlags)
    if (AOptions.Contains(entry.Option))
      result |= entry.Flag;
  return result;
}

bool dxSetGestureConfigSafe(HWND AWnd, const TdxGestureConfigs& AConfigs)
{
  static const auto setGestureConfig = User32Function<TSetGestureConfig>("SetGestureConfig");
  if (!setGestureConfig)
    return false;
  auto* configs = reinterpret_cast<PGESTURECONFIG>(const_cast<TdxGestureConfig*>(AConfigs.data()));
  return setGestureConfig(AWnd, 0, static_cast<UINT>(AConfigs.size()), configs, sizeof(TdxGestureConfig));
}

bool dxPhysicalToLogicalPointSafe(HWND AWnd, TPoint& APoint)
{
  static const auto physicalToLogical = User32Function<TPhysicalToLogicalPoint>("PhysicalToLogicalPoint");
  return physicalToLogical && physicalToLogical(AWnd, &APoint);
}

void dxBlockAllGestures(HWND AWnd, rtl::TMessage& AMessage)
{
  dxSetGestureConfigSafe(AWnd, {{0, 0, 1}});
  AMessage.Result = 1;
}

// ---------------------------------------------------------------------------
// TdxGestureHelper

void TdxGestureHelper::Create(IdxGestureOwner* AGestureOwner)
{
  inherited::Create();
  FGestureOwner = AGestureOwner;
}

void TdxGestureHelper::Destroy()
{
  FGestureClient.Reset();
  FGestureNotifyClient.Reset();
  inherited::Destroy();
}

TPoint TdxGestureHelper::GetStartPoint()
{
  return GStartPoint;
}

void TdxGestureHelper::SetStartPoint(const TPoint& APoint)
{
  GStartPoint = APoint;
}

bool TdxGestureHelper::AllowGesture(DWORD AGestureID)
{
  return FGestureNotifyClient && FGestureNotifyClient->GestureAllowGesture(AGestureID);
}

bool TdxGestureHelper::AllowPan(TdxScrollKind AScrollKind)
{
  return FGestureNotifyClient && FGestureNotifyClient->GestureAllowPan(AScrollKind);
}

HWND TdxGestureHelper::GetHandle()
{
  return FGestureOwner->GestureGetHandle();
}

DWORD TdxGestureHelper::GetPanOptions()
{
  return FGestureNotifyClient ? FGestureNotifyClient->GestureGetPanOptions() : 0;
}

bool TdxGestureHelper::IsTarget(HWND AWnd)
{
  return FGestureOwner->GestureIsTarget(AWnd);
}

bool TdxGestureHelper::IsPanArea(const TPoint& APoint)
{
  return FGestureNotifyClient && FGestureNotifyClient->GestureIsPanArea(APoint);
}

bool TdxGestureHelper::NeedPanningFeedback(TdxScrollKind AScrollKind)
{
  return FGestureClient && FGestureClient->GestureNeedPanningFeedback(AScrollKind);
}

TPoint TdxGestureHelper::ScreenToClient(const TPoint& APoint)
{
  return FGestureOwner->GestureScreenToClient(APoint);
}

bool TdxGestureHelper::NeedAnyPanningFeedback()
{
  return NeedPanningFeedback(sbHorizontal) || NeedPanningFeedback(sbVertical);
}

bool TdxGestureHelper::HandleMessage(rtl::TMessage& AMessage)
{
  switch (AMessage.Msg) {
    case WM_DESTROY:
      if (FIsPanning)
        EndPan();
      return false;
    case WM_GESTURE:
      HandleGesture(AMessage);
      return true;
    case WM_GESTURENOTIFY: {
      const auto* notify = reinterpret_cast<const GESTURENOTIFYSTRUCT*>(AMessage.LParam);
      if (notify)
        SetStartPoint({notify->ptsLocation.x, notify->ptsLocation.y});
      return false;
    }
    default:
      return false;
  }
}

void TdxGestureHelper::HandleGesture(rtl::TMessage& AMessage)
{
  static const auto getGestureInfo = User32Function<TGetGestureInfo>("GetGestureInfo");
  static const auto closeGestureInfoHandle = User32Function<TCloseGestureInfoHandle>("CloseGestureInfoHandle");
  const auto handle = reinterpret_cast<HGESTUREINFO>(AMessage.LParam);
  GESTUREINFO info{};
  info.cbSize = sizeof(info);
  const bool read = getGestureInfo && getGestureInfo(handle, &info);
  if (closeGestureInfoHandle)
    closeGestureInfoHandle(handle);
  if (!read)
    return;
  TdxGestureEventInfo event{};
  event.GestureID = static_cast<int>(info.dwID) + 256;
  event.Location = {info.ptsLocation.x, info.ptsLocation.y};
  if (info.dwFlags & GF_BEGIN)
    event.Flags.Include(gfBegin);
  if (info.dwFlags & GF_INERTIA)
    event.Flags.Include(gfInertia);
  if (info.dwFlags & GF_END)
    event.Flags.Include(gfEnd);
  event.Location = ScreenToClient(event.Location);
  event.Distance = static_cast<int>(info.ullArguments & 0xFFFFFFFF);
  event.Angle = GID_ROTATE_ANGLE_FROM_ARGUMENT(info.ullArguments & 0xFFFF);
  bool handled = false;
  if (info.dwID != GID_BEGIN && info.dwID != GID_END)
    DoGesture(event, handled);
  AMessage.Result = handled ? 1 : 0;
  if (AMessage.Result != 1)
    AMessage.Result = DefWindowProcW(GetHandle(), WM_GESTURE, AMessage.WParam, AMessage.LParam);
}

void TdxGestureHelper::CheckGestureOptions(TdxInteractiveGestures& AGestures, TdxInteractiveGestureOptions& AOptions)
{
  using enum TdxInteractiveGestureOption;
  FGestureNotifyClient.Reset();
  FGestureOwner->GestureGetClientAt(ScreenToClient(GetStartPoint()), FGestureNotifyClient);
  if (AGestures.Contains(TdxInteractiveGesture::igPan)) {
    if (!IsPanArea(ScreenToClient(GetStartPoint()))) {
      AOptions.Exclude(igoPanSingleFingerHorizontal);
      AOptions.Exclude(igoPanSingleFingerVertical);
    } else if (AOptions.Contains(igoPanSingleFingerHorizontal) || AOptions.Contains(igoPanSingleFingerVertical)) {
      if (!AllowPan(sbHorizontal))
        AOptions.Exclude(igoPanSingleFingerHorizontal);
      if (!AllowPan(sbVertical))
        AOptions.Exclude(igoPanSingleFingerVertical);
    }
  }
  if (!AOptions.Contains(igoPanSingleFingerHorizontal) && !AOptions.Contains(igoPanSingleFingerVertical))
    AGestures.Exclude(TdxInteractiveGesture::igPan);
}

void TdxGestureHelper::DoGesture(const TdxGestureEventInfo& AEventInfo, bool& AHandled)
{
  const bool begin = AEventInfo.Flags.Contains(gfBegin);
  const bool end = AEventInfo.Flags.Contains(gfEnd);
  switch (AEventInfo.GestureID) {
    case igiZoom:
      AHandled = ProcessZoom(AEventInfo.Distance, begin, end);
      break;
    case igiPan:
      AHandled = ProcessPan(AEventInfo.Location, begin, AEventInfo.Flags.Contains(gfInertia), end);
      break;
    case igiRotate:
      AHandled = ProcessRotate(begin, end, AEventInfo.Angle);
      break;
    default:
      break;
  }
}

void TdxGestureHelper::UpdateOverPan(TdxScrollKind AScrollKind, int ADelta)
{
  Axis(FOverPan, AScrollKind) += ADelta;
  dxUxUpdatePanningFeedback(GetHandle(), FOverPan, FIsInertia);
}

void TdxGestureHelper::ConsumeOverPan(TdxScrollKind AScrollKind, int& ADelta)
{
  const int overPan = static_cast<int>(Axis(FOverPan, AScrollKind));
  if (overPan == 0 || ADelta == 0 || (overPan > 0) == (ADelta > 0) || !NeedPanningFeedback(AScrollKind))
    return;
  const int consumed = std::abs(overPan) >= std::abs(ADelta) ? ADelta : -overPan;
  UpdateOverPan(AScrollKind, consumed);
  ADelta -= consumed;
}

bool TdxGestureHelper::ProcessPan(const TPoint& ALocation, bool ABegin, bool AInertia, bool AEnd)
{
  FIsInertia = AInertia;
  if (ABegin) {
    FGestureClient = FGestureNotifyClient;
    FIsPanning = true;
    if (FGestureClient)
      FGestureClient->GestureBeginScroll(ALocation);
    if (NeedAnyPanningFeedback())
      dxUxBeginPanningFeedback(GetHandle());
    FOverPan = {0, 0};
  } else if (FGestureClient) {
    int dx = ALocation.x - FPanPoint.x;
    int dy = ALocation.y - FPanPoint.y;
    if (AEnd)
      FOverPan = {0, 0};
    ConsumeOverPan(sbHorizontal, dx);
    ConsumeOverPan(sbVertical, dy);
    FGestureClient->GestureScroll(dx, dy);
    if (AEnd)
      EndPan();
  }
  FPanPoint = ALocation;
  return true;
}

void TdxGestureHelper::EndPan()
{
  FIsPanning = false;
  if (FGestureClient) {
    FGestureClient->GestureEndScroll();
    if (NeedAnyPanningFeedback())
      dxUxEndPanningFeedback(GetHandle(), true);
  }
  FGestureClient.Reset();
}

bool TdxGestureHelper::ProcessZoom(int ADistance, bool ABegin, bool AEnd)
{
  bool handled = false;
  if (ABegin) {
    FLastDistance = ADistance;
    FGestureClient = FGestureNotifyClient;
  }
  rtl::IPtr<IdxZoomClient> zoom;
  if (rtl::Supports<IdxZoomClient>(FGestureClient.Get(), &zoom))
    zoom->Zoom(ADistance - FLastDistance, handled);
  FLastDistance = ADistance;
  if (AEnd)
    FGestureClient.Reset();
  return handled;
}

bool TdxGestureHelper::ProcessRotate(bool ABegin, bool AEnd, double AAngle)
{
  bool handled = false;
  if (ABegin)
    FGestureClient = FGestureNotifyClient;
  rtl::IPtr<IdxRotateClient> rotate;
  if (rtl::Supports<IdxRotateClient>(FGestureClient.Get(), &rotate))
    rotate->Rotate(AAngle, handled);
  if (AEnd)
    FGestureClient.Reset();
  return handled;
}

void TdxGestureHelper::CheckOverpan(TdxScrollKind AScrollKind, int ANewDataPos, int AMinDataPos, int AMaxDataPos,
                                    int ADeltaX, int ADeltaY)
{
  if (!NeedPanningFeedback(AScrollKind))
    return;
  if (ANewDataPos <= AMinDataPos || ANewDataPos >= AMaxDataPos)
    UpdateOverPan(AScrollKind, AScrollKind == sbVertical ? ADeltaY : ADeltaX);
}
