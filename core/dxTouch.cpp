#include "core/dxTouch.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "core/dxHooks.h"
#include "core/dxUxTheme.h"

using enum vcl::TInteractiveGestureFlag;
using vcl::TControl;
using vcl::igiPan;
using vcl::igiRotate;
using vcl::igiZoom;

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
  vcl::TInteractiveGestureOption Option;
};
constexpr TPanFlag kPanFlags[] = {
    {GC_PAN_WITH_SINGLE_FINGER_HORIZONTALLY, vcl::TInteractiveGestureOption::igoPanSingleFingerHorizontal},
    {GC_PAN_WITH_SINGLE_FINGER_VERTICALLY, vcl::TInteractiveGestureOption::igoPanSingleFingerVertical},
    {GC_PAN_WITH_INERTIA, vcl::TInteractiveGestureOption::igoPanInertia},
    {GC_PAN_WITH_GUTTER, vcl::TInteractiveGestureOption::igoPanGutter},
};

TPoint GStartPoint{};

// Every helper of the process; the hook clears what each found under the
// finger when a new gesture is announced. Not owned.
std::vector<TdxGestureHelper*>* GHelpers = nullptr;

// The platform's gesture of a Windows gesture id; nothing for begin and end.
bool GestureOfID(DWORD AID, vcl::TInteractiveGesture& AGesture)
{
  using enum vcl::TInteractiveGesture;
  switch (AID) {
    case GID_ZOOM: AGesture = igZoom; return true;
    case GID_PAN: AGesture = igPan; return true;
    case GID_ROTATE: AGesture = igRotate; return true;
    case GID_TWOFINGERTAP: AGesture = igTwoFingerTap; return true;
    case GID_PRESSANDTAP: AGesture = igPressAndTap; return true;
    default: return false;
  }
}

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

vcl::TInteractiveGestureOption dxPanOptionToGestureOption(DWORD AFlag)
{
  for (const TPanFlag& entry : kPanFlags)
    if (entry.Flag == AFlag)
      return entry.Option;
  return vcl::TInteractiveGestureOption::igoPanInertia;
}

vcl::TInteractiveGestureOptions dxGestureOptionsFromPanOptions(DWORD AFlags)
{
  vcl::TInteractiveGestureOptions result;
  for (const TPanFlag& entry : kPanFlags)
    if (AFlags & entry.Flag)
      result.Include(entry.Option);
  return result;
}

DWORD dxPanOptionsFromGestureOptions(vcl::TInteractiveGestureOptions AOptions)
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
  if (GHelpers)
    GHelpers->push_back(this);
}

void TdxGestureHelper::Destroy()
{
  if (GHelpers)
    std::erase(*GHelpers, this);
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
    case WM_GESTURENOTIFY:
      HandleGestureNotify();
      return false;
    default:
      return false;
  }
}

// The hook has stored where the gesture starts; the control there (or the
// window's own) is the one the gesture will go to.
void TdxGestureHelper::HandleGestureNotify()
{
  const HWND window = GetHandle();
  TPoint point = GetStartPoint();
  dxPhysicalToLogicalPointSafe(window, point);
  point = ScreenToClient(point);
  RECT client{};
  if (!GetClientRect(window, &client) || !PtInRect(&client, point))
    return;
  TControl* control = vcl::FindControl(window);
  if (!control)
    return;
  TControl* child = nullptr;
  if (rtl::Is<vcl::TWinControl>(control))
    child = static_cast<vcl::TWinControl*>(control)->ControlAtPos(point, true, true);
  FNotifyTouchControl = child ? child : control;
}

bool TdxGestureHelper::ReadGestureInfo(HGESTUREINFO AHandle, GESTUREINFO& AInfo)
{
  static const auto getGestureInfo = User32Function<TGetGestureInfo>("GetGestureInfo");
  static const auto closeGestureInfoHandle = User32Function<TCloseGestureInfoHandle>("CloseGestureInfoHandle");
  AInfo.cbSize = sizeof(AInfo);
  const bool result = getGestureInfo && getGestureInfo(AHandle, &AInfo);
  if (closeGestureInfoHandle)
    closeGestureInfoHandle(AHandle);
  return result;
}

// A control freed since it was touched has left its parent: only the
// pointers are compared, nothing of the control is read.
bool TdxGestureHelper::IsOwnControl(TControl* AControl)
{
  vcl::TWinControl* window = vcl::FindControl(GetHandle());
  return AControl && window && (AControl == window || window->ContainsControl(AControl));
}

TControl* TdxGestureHelper::GestureTarget(TControl* AControl, DWORD AGestureID)
{
  vcl::TInteractiveGesture gesture{};
  const bool known = GestureOfID(AGestureID, gesture);
  TControl* result = AControl;
  while (result->GetParent()) {
    vcl::TTouchManager* touch = result->GetTouch();
    if (!touch->GetInteractiveGestureOptions().Contains(vcl::TInteractiveGestureOption::igoParentPassthrough) ||
        (known && touch->GetInteractiveGestures().Contains(gesture)))
      break;
    result = result->GetParent();
  }
  return result;
}

vcl::TGestureEventInfo TdxGestureHelper::GestureEvent(const GESTUREINFO& AInfo, TControl* AControl)
{
  vcl::TGestureEventInfo result{};
  result.GestureID = static_cast<int>(AInfo.dwID) + 256;
  if (AInfo.dwFlags & GF_BEGIN)
    result.Flags.Include(gfBegin);
  if (AInfo.dwFlags & GF_INERTIA)
    result.Flags.Include(gfInertia);
  if (AInfo.dwFlags & GF_END)
    result.Flags.Include(gfEnd);
  const TPoint location{AInfo.ptsLocation.x, AInfo.ptsLocation.y};
  result.Location = AControl->ScreenToClient(location);
  switch (AInfo.dwID) {
    case GID_PAN:
      result.Distance = static_cast<int>(AInfo.ullArguments & 0xFFFFFFFF);
      result.InertiaVector = vcl::InertiaVectorFromArgument(AInfo.ullArguments);
      break;
    case GID_ROTATE:
      result.Angle = GID_ROTATE_ANGLE_FROM_ARGUMENT(AInfo.ullArguments & 0xFFFF);
      break;
    case GID_PRESSANDTAP: {
      const auto offset = static_cast<DWORD>(AInfo.ullArguments & 0xFFFFFFFF);
      TPoint tap{location.x + static_cast<int16_t>(LOWORD(offset)), location.y + static_cast<int16_t>(HIWORD(offset))};
      dxPhysicalToLogicalPointSafe(GetHandle(), tap);
      result.TapLocation = AControl->ScreenToClient(tap);
      break;
    }
    default:
      result.Distance = static_cast<int>(AInfo.ullArguments & 0xFFFFFFFF);
      break;
  }
  return result;
}

// The step goes to the control under the finger, or to the nearest parent
// that takes it, as CM_GESTURE; what that control answers is the result.
void TdxGestureHelper::HandleGesture(rtl::TMessage& AMessage)
{
  GESTUREINFO info{};
  if (!ReadGestureInfo(reinterpret_cast<HGESTUREINFO>(AMessage.LParam), info))
    return;
  if (info.dwID != GID_BEGIN && info.dwID != GID_END) {
    if (!FTouchControl && (info.dwFlags & GF_BEGIN))
      FTouchControl = FNotifyTouchControl;
    if (!IsOwnControl(FTouchControl))
      FTouchControl = nullptr;
    if (FTouchControl) {
      TControl* target = GestureTarget(FTouchControl, info.dwID);
      vcl::TGestureEventInfo event = GestureEvent(info, target);
      AMessage.Result = target->Perform(rtl::CM_GESTURE, 0, reinterpret_cast<LPARAM>(&event));
      if (info.dwFlags & GF_END)
        FTouchControl = nullptr;
    }
  }
  if (AMessage.Result != 1)
    AMessage.Result = DefWindowProcW(GetHandle(), WM_GESTURE, AMessage.WParam, AMessage.LParam);
}

void TdxGestureHelper::CheckGestureOptions(vcl::TInteractiveGestures& AGestures, vcl::TInteractiveGestureOptions& AOptions)
{
  using enum vcl::TInteractiveGestureOption;
  FGestureNotifyClient.Reset();
  FGestureOwner->GestureGetClientAt(ScreenToClient(GetStartPoint()), FGestureNotifyClient);
  if (AGestures.Contains(vcl::TInteractiveGesture::igPan)) {
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
    AGestures.Exclude(vcl::TInteractiveGesture::igPan);
}

void TdxGestureHelper::DoGesture(const vcl::TGestureEventInfo& AEventInfo, bool& AHandled)
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

// ---------------------------------------------------------------------------
// The announcement hook

// Every WM_GESTURENOTIFY of the thread announces a new gesture: its start
// point is kept, and what the helpers found for the last one is forgotten.
void dxTouchWndProcHook(int ACode, WPARAM /*AWParam*/, LPARAM ALParam, LRESULT& /*AHookResult*/)
{
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(ALParam);
  if (ACode != HC_ACTION || !message || message->message != WM_GESTURENOTIFY)
    return;
  if (const auto* notify = reinterpret_cast<const GESTURENOTIFYSTRUCT*>(message->lParam))
    TdxGestureHelper::SetStartPoint({notify->ptsLocation.x, notify->ptsLocation.y});
  if (GHelpers)
    for (TdxGestureHelper* helper : *GHelpers)
      helper->FNotifyTouchControl = nullptr;
}

namespace {

void dxTouchInitialization()
{
  GHelpers = new std::vector<TdxGestureHelper*>;
  dxInstallHook(htWndProc, &dxTouchWndProcHook);
}

void dxTouchFinalization()
{
  dxRemoveHook(&dxTouchWndProcHook);
  delete GHelpers;
  GHelpers = nullptr;
}

}  // namespace

RTL_UNIT(dxTouch, &dxTouchInitialization, &dxTouchFinalization);
