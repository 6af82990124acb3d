// Skinned window scroll bars: the system keeps the values and the messages
// of a window's own scroll bars; the skin lays its parts over where the
// system puts them, tracks hot and pressed parts, repeats line and page
// steps and drags the thumb itself.
#include <algorithm>

#include "core/cxClasses.h"
#include "core/dxCore.h"
#include "core/dxDPIAwareUtils.h"
#include "skins/dxSkinsForm.h"

namespace {

using TGetScrollBarInfoFunc = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);

// user32's entry, looked up once: older systems lack it.
TGetScrollBarInfoFunc ScrollBarInfoFunc()
{
  static const TGetScrollBarInfoFunc func = reinterpret_cast<TGetScrollBarInfoFunc>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetScrollBarInfo")));
  return func;
}

// Zero-filled when the call fails.
SCROLLBARINFO ReadScrollBarInfo(HWND AWnd, LONG AObjectId)
{
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  if (TGetScrollBarInfoFunc func = ScrollBarInfoFunc(); !func || !func(AWnd, AObjectId, &info)) {
    info = SCROLLBARINFO{};
    info.cbSize = sizeof(info);
  }
  return info;
}

struct TScrollBarKindTraits {
  LONG ObjectId;
  LONG StyleBit;
  UINT Message;
  int Bar;
};

constexpr TScrollBarKindTraits KindTraits[] = {
    {OBJID_HSCROLL, WS_HSCROLL, WM_HSCROLL, SB_HORZ},  // sbHorizontal
    {OBJID_VSCROLL, WS_VSCROLL, WM_VSCROLL, SB_VERT},  // sbVertical
};

const TScrollBarKindTraits& Traits(TScrollBarKind AKind)
{
  return KindTraits[static_cast<int>(AKind)];
}

// The index of a part's state in SCROLLBARINFO.rgstate.
constexpr int PartStateIndex[] = {0, 1, 5, 3, 2, 4};  // none, line up, line down, thumb, page up, page down

bool PtInRectangle(const TRect& R, const TPoint& P)
{
  return P.x >= R.left && P.x < R.right && P.y >= R.top && P.y < R.bottom;
}

int AxisLength(const TRect& R, bool AHorizontal)
{
  return AHorizontal ? R.right - R.left : R.bottom - R.top;
}

}  // namespace

// ---------------------------------------------------------------------------
// TdxSkinFormScrollBarPartViewInfo

void TdxSkinFormScrollBarPartViewInfo::Create(TdxSkinFormScrollBarViewInfo* AOwner, TcxScrollBarPart AKind)
{
  inherited::Create();
  FOwner = AOwner;
  FKind = AKind;
  FVisible = true;
}

void TdxSkinFormScrollBarPartViewInfo::Calculate(int APos1, int APos2, DWORD AState)
{
  FVisible = (AState & STATE_SYSTEM_INVISIBLE) == 0;
  if (!FVisible) {
    FState = TcxButtonState::cxbsDefault;
    FBounds = TRect{};
    return;
  }
  FBounds = FOwner->FBounds;
  if (APos1 != APos2 && APos1 != -1) {
    if (FOwner->FKind == TScrollBarKind::sbHorizontal) {
      FBounds.left = APos1;
      FBounds.right = APos2;
    } else {
      FBounds.top = APos1;
      FBounds.bottom = APos2;
    }
  }
  TdxSkinFormScrollBarsController* controller = FOwner->FController;
  const bool isPressed = controller->GetPressedPart() == this;
  if ((AState & STATE_SYSTEM_PRESSED) || (isPressed && (controller->IsTracking() || controller->GetHotPart() == this)))
    FState = TcxButtonState::cxbsPressed;
  else if (AState & STATE_SYSTEM_UNAVAILABLE)
    FState = TcxButtonState::cxbsDisabled;
  else if ((AState & STATE_SYSTEM_HOTTRACKED) || controller->GetHotPart() == this)
    FState = TcxButtonState::cxbsHot;
  else
    FState = TcxButtonState::cxbsNormal;
}

// ---------------------------------------------------------------------------
// TdxSkinFormScrollBarViewInfo

void TdxSkinFormScrollBarViewInfo::Create(TScrollBarKind AKind, TdxSkinFormScrollBarsController* AController)
{
  inherited::Create();
  FKind = AKind;
  FController = AController;
  for (int i = 0; i < static_cast<int>(FParts.size()); ++i)
    FParts[i] = rtl::New<TdxSkinFormScrollBarPartViewInfo>(this, static_cast<TcxScrollBarPart>(i));
}

void TdxSkinFormScrollBarViewInfo::Destroy()
{
  for (TdxSkinFormScrollBarPartViewInfo*& part : FParts)
    rtl::FreeAndNil(part);
  inherited::Destroy();
}

TdxScaleFactor* TdxSkinFormScrollBarViewInfo::GetScaleFactor() const
{
  return dxGetSystemScaleFactor();
}

void TdxSkinFormScrollBarViewInfo::CalculatePart(int APos1, int APos2, TcxScrollBarPart APart)
{
  GetPartViewInfo(APart)->Calculate(APos1, APos2, FInfo.rgstate[PartStateIndex[static_cast<int>(APart)]]);
}

void TdxSkinFormScrollBarViewInfo::CalculateParts()
{
  if (!FVisible)
    return;
  const bool horizontal = FKind == TScrollBarKind::sbHorizontal;
  const int start = horizontal ? FBounds.left : FBounds.top;
  const int end = horizontal ? FBounds.right : FBounds.bottom;
  const int button = FInfo.dxyLineButton;
  const int thumbTop = FInfo.xyThumbTop;
  const int thumbBottom = FInfo.xyThumbBottom;
  CalculatePart(start, start + button, TcxScrollBarPart::sbpLineUp);
  CalculatePart(end - button, end, TcxScrollBarPart::sbpLineDown);
  CalculatePart(start + thumbTop, start + thumbBottom, TcxScrollBarPart::sbpThumbnail);
  CalculatePart(start + button, start + thumbTop, TcxScrollBarPart::sbpPageUp);
  CalculatePart(start + thumbBottom, end - button, TcxScrollBarPart::sbpPageDown);
}

bool TdxSkinFormScrollBarViewInfo::HitTest(const TPoint& P, TdxSkinFormScrollBarPartViewInfo*& APart) const
{
  if (!FVisible || !PtInRectangle(FBounds, P))
    return false;
  for (TdxSkinFormScrollBarPartViewInfo* part : FParts)
    if (part->FKind != TcxScrollBarPart::sbpNone && part->FVisible && PtInRectangle(part->FBounds, P)) {
      APart = part;
      return true;
    }
  return false;
}

// ---------------------------------------------------------------------------
// TdxSkinFormScrollBarsController

void TdxSkinFormScrollBarsController::Create(TdxSkinCustomFormController* AController)
{
  inherited::Create();
  FController = AController;
  FScrollBarViewInfo[0] = rtl::New<TdxSkinFormScrollBarViewInfo>(TScrollBarKind::sbHorizontal, this);
  FScrollBarViewInfo[1] = rtl::New<TdxSkinFormScrollBarViewInfo>(TScrollBarKind::sbVertical, this);
}

void TdxSkinFormScrollBarsController::Destroy()
{
  rtl::FreeAndNil(FScrollTimer);
  for (TdxSkinFormScrollBarViewInfo*& viewInfo : FScrollBarViewInfo)
    rtl::FreeAndNil(viewInfo);
  inherited::Destroy();
}

TdxSkinFormNonClientAreaInfo* TdxSkinFormScrollBarsController::ViewInfo() const
{
  return FController->GetViewInfo();
}

bool TdxSkinFormScrollBarsController::HasScrollBars() const
{
  return FScrollBarViewInfo[0]->FVisible || FScrollBarViewInfo[1]->FVisible;
}

bool TdxSkinFormScrollBarsController::SizeGripVisible() const
{
  return FScrollBarViewInfo[0]->FVisible && FScrollBarViewInfo[1]->FVisible;
}

TScrollBarKind TdxSkinFormScrollBarsController::GetTrackingScrollBarKind() const
{
  if (!FIsTracking || !FPressedPart)
    throw EdxException(L"GetTrackingScrollBarKind");
  return FPressedPart->FOwner->FKind;
}

void TdxSkinFormScrollBarsController::CalculateScrollArea()
{
  TdxSkinFormNonClientAreaInfo* viewInfo = ViewInfo();
  const HWND handle = FController->GetHandle();
  TRect R = viewInfo->FClientBounds;
  if (viewInfo->IsRightToLeftLayout()) {
    const int width = viewInfo->FWindowBounds.right - viewInfo->FWindowBounds.left;
    R = TRect(width - R.right, R.top, width - R.left, R.bottom);
  }
  const LONG style = GetWindowLongW(handle, GWL_STYLE);
  for (TdxSkinFormScrollBarViewInfo* bar : FScrollBarViewInfo) {
    const TScrollBarKindTraits& traits = Traits(bar->FKind);
    const bool dragged = FIsTracking && FPressedPart && FPressedPart->FOwner == bar;
    if (dragged) {
      // The system lays the thumb out at the dragged position for a moment.
      FController->LockRedraw();
      const int saved = GetScrollPos(handle, traits.Bar);
      SetScrollPos(handle, traits.Bar, static_cast<int>(FTrackPosition), FALSE);
      bar->FInfo = ReadScrollBarInfo(handle, traits.ObjectId);
      SetScrollPos(handle, traits.Bar, saved, FALSE);
      FController->UnlockRedraw();
    } else {
      bar->FInfo = ReadScrollBarInfo(handle, traits.ObjectId);
    }
    const RECT& system = bar->FInfo.rcScrollBar;
    bar->FVisible = ScrollBarInfoFunc() && (style & traits.StyleBit) != 0 && system.right > system.left &&
                    system.bottom > system.top;
    if (bar->FKind == TScrollBarKind::sbHorizontal)
      bar->FBounds = TRect(R.left, R.bottom, R.right, R.bottom + GetSystemMetrics(SM_CYHSCROLL));
    else
      bar->FBounds = TRect(R.right, R.top, R.right + GetSystemMetrics(SM_CXVSCROLL), R.bottom);
  }
  FSizeGripBounds = SizeGripVisible() ? TRect(R.right, R.bottom, FScrollBarViewInfo[1]->FBounds.right,
                                              FScrollBarViewInfo[0]->FBounds.bottom)
                                      : TRect{};
  for (TdxSkinFormScrollBarViewInfo* bar : FScrollBarViewInfo)
    bar->CalculateParts();
}

void TdxSkinFormScrollBarsController::CalculateDrawRegion(HRGN ARegion)
{
  auto add = [&](const TRect& R) {
    HRGN part = CreateRectRgnIndirect(&R);
    CombineRgn(ARegion, ARegion, part, RGN_OR);
    DeleteObject(part);
  };
  for (TdxSkinFormScrollBarViewInfo* bar : FScrollBarViewInfo)
    if (bar->FVisible)
      add(bar->FBounds);
  if (SizeGripVisible())
    add(FSizeGripBounds);
}

TdxSkinFormScrollBarPartViewInfo* TdxSkinFormScrollBarsController::HitTest(const TPoint& P) const
{
  TdxSkinFormScrollBarPartViewInfo* part = nullptr;
  return HitTest(P, part) ? part : nullptr;
}

bool TdxSkinFormScrollBarsController::HitTest(const TPoint& P, TdxSkinFormScrollBarPartViewInfo*& APart) const
{
  return FScrollBarViewInfo[0]->HitTest(P, APart) || FScrollBarViewInfo[1]->HitTest(P, APart);
}

void TdxSkinFormScrollBarsController::SetHotPart(TdxSkinFormScrollBarPartViewInfo* AValue)
{
  if (FHotPart == AValue)
    return;
  FHotPart = AValue;
  FController->CalculateAndPaintBorder();
}

void TdxSkinFormScrollBarsController::SetPressedPart(TdxSkinFormScrollBarPartViewInfo* AValue)
{
  if (FPressedPart == AValue)
    return;
  FPressedPart = AValue;
  FController->CalculateAndPaintBorder();
}

void TdxSkinFormScrollBarsController::MouseDown(const TPoint& P)
{
  SetPressedPart(HitTest(P));
  if (!FPressedPart)
    return;
  FScrolling = true;
  SetCapture(FController->GetHandle());
  if (FPressedPart->FKind == TcxScrollBarPart::sbpThumbnail) {
    BeginTrack(P);
  } else {
    if (!FScrollTimer)
      FScrollTimer = cxNewTimer(400, true, rtl::TNotifyEvent::Bind<&TdxSkinFormScrollBarsController::ScrollTimerHandler>(this));
    else
      FScrollTimer->SetInterval(400);
  }
  Scroll();
}

void TdxSkinFormScrollBarsController::MouseMove(const TPoint& P)
{
  if (FIsTracking)
    Track(P);
  else
    SetHotPart(HitTest(P));
}

void TdxSkinFormScrollBarsController::MouseUp(const TPoint&)
{
  if (!FScrolling)
    return;
  rtl::FreeAndNil(FScrollTimer);
  TdxSkinFormScrollBarPartViewInfo* pressed = FPressedPart;
  EndTrack();
  if (pressed)
    SendMessageW(FController->GetHandle(), Traits(pressed->FOwner->FKind).Message, SB_ENDSCROLL, 0);
  ReleaseCapture();
  FPressedPart = nullptr;
  FScrolling = false;
}

void TdxSkinFormScrollBarsController::ScrollTimerHandler(rtl::TObject*)
{
  if (!FScrolling || !FPressedPart)
    return;
  FScrollTimer->SetInterval(60);
  const TPoint cursor = FController->GetViewInfo()->GetClientCursorPos();
  if (PtInRectangle(FPressedPart->FBounds, cursor))
    Scroll();
}

void TdxSkinFormScrollBarsController::SendScrollMessage(int ACode, int APosition)
{
  SendMessageW(FController->GetHandle(), Traits(FPressedPart->FOwner->FKind).Message, MAKEWPARAM(ACode, APosition),
               0);
}

void TdxSkinFormScrollBarsController::Scroll()
{
  if (!FPressedPart)
    return;
  FController->LockRedraw();
  {
    const rtl::Finally unlock([&] {
      FController->UnlockRedraw();
      FController->Redraw(true);
    });
    const TPoint cursor = FController->GetViewInfo()->GetClientCursorPos();
    const bool onThumb =
        PtInRectangle(FPressedPart->FOwner->GetPartViewInfo(TcxScrollBarPart::sbpThumbnail)->FBounds, cursor);
    switch (FPressedPart->FKind) {
      case TcxScrollBarPart::sbpLineUp:
        SendScrollMessage(SB_LINEUP);
        break;
      case TcxScrollBarPart::sbpLineDown:
        SendScrollMessage(SB_LINEDOWN);
        break;
      case TcxScrollBarPart::sbpPageUp:
        if (!onThumb)
          SendScrollMessage(SB_PAGEUP);
        break;
      case TcxScrollBarPart::sbpPageDown:
        if (!onThumb)
          SendScrollMessage(SB_PAGEDOWN);
        break;
      default:
        break;
    }
  }
}

void TdxSkinFormScrollBarsController::BeginTrack(const TPoint& P)
{
  TdxSkinFormScrollBarViewInfo* bar = FPressedPart->FOwner;
  FTrackingAreaInfo = SCROLLINFO{};
  FTrackingAreaInfo.cbSize = sizeof(FTrackingAreaInfo);
  FTrackingAreaInfo.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
  GetScrollInfo(FController->GetHandle(), Traits(bar->FKind).Bar, &FTrackingAreaInfo);
  const bool horizontal = bar->FKind == TScrollBarKind::sbHorizontal;
  const int room = AxisLength(bar->GetPartViewInfo(TcxScrollBarPart::sbpPageUp)->FBounds, horizontal) +
                   AxisLength(bar->GetPartViewInfo(TcxScrollBarPart::sbpPageDown)->FBounds, horizontal);
  // A thumb with no room to move has no scale: the drag does nothing.
  if (room <= 0)
    return;
  FIsTracking = true;
  FTrackingLastPoint = P;
  FTrackingScale = static_cast<float>(FTrackingAreaInfo.nMax - FTrackingAreaInfo.nMin -
                                      static_cast<int>(FTrackingAreaInfo.nPage)) /
                   static_cast<float>(room);
  FTrackPosition = static_cast<float>(FTrackingAreaInfo.nPos);
}

void TdxSkinFormScrollBarsController::Track(const TPoint& P)
{
  const bool horizontal = FPressedPart->FOwner->FKind == TScrollBarKind::sbHorizontal;
  const int delta = horizontal ? P.x - FTrackingLastPoint.x : P.y - FTrackingLastPoint.y;
  FTrackPosition += static_cast<float>(delta) * FTrackingScale;
  FTrackPosition = std::clamp(FTrackPosition, static_cast<float>(FTrackingAreaInfo.nMin),
                              static_cast<float>(FTrackingAreaInfo.nMax));
  SetScrollPos(FController->GetHandle(), Traits(FPressedPart->FOwner->FKind).Bar, static_cast<int>(FTrackPosition),
               FALSE);
  FController->CalculateAndPaintBorder();
  FTrackingLastPoint = P;
}

void TdxSkinFormScrollBarsController::EndTrack()
{
  if (!FIsTracking)
    return;
  FController->LockRedraw();
  {
    const rtl::Finally unlock([&] { FController->UnlockRedraw(); });
    SetScrollPos(FController->GetHandle(), Traits(FPressedPart->FOwner->FKind).Bar, FTrackingAreaInfo.nPos, FALSE);
    SendScrollMessage(SB_THUMBPOSITION, static_cast<int>(FTrackPosition));
  }
  FIsTracking = false;
}
