// The drop-down editors' popup window: its frame with shadow, system panel,
// close button and size grip; its size and place against the editor and
// the work area; and the user's resizing.
#include <algorithm>

#include "controls/cxWindowUtils.h"
#include "editors/cxDropDownEdit.h"
#include "graphics/cxGraphics.h"
#include "lookandfeel/cxLookAndFeelPainters.h"

namespace {

bool IsRightCorner(TdxCorner ACorner)
{
  return ACorner == TdxCorner::coTopRight || ACorner == TdxCorner::coBottomRight;
}

bool IsBottomCorner(TdxCorner ACorner)
{
  return ACorner == TdxCorner::coBottomLeft || ACorner == TdxCorner::coBottomRight;
}

// The hit of the grip's diagonal: 1 for the falling, 2 for the rising one.
int DiagonalHit(TdxCorner ACorner)
{
  return ACorner == TdxCorner::coTopLeft || ACorner == TdxCorner::coBottomRight ? 1 : 2;
}

}  // namespace

// ---------------------------------------------------------------------------
// TcxCustomEditPopupWindowViewInfo

void TcxCustomEditPopupWindowViewInfo::Create()
{
  inherited::Create();
  PopupBorderStyle = TcxEditPopupBorderStyle::epbsDefault;
  ClientEdge = false;
  MinSysPanelHeight = 0;
  ShowCloseButton = false;
  CloseButtonRect = {};
  CloseButtonState = TcxButtonState::cxbsNormal;
  Sizeable = false;
  SizeGripCorner = TdxCorner::coBottomRight;
  SizeGripRect = {};
  SizeGripSizingRect = {};
  SysPanelBounds = {};
  SysPanelStyle = false;
  PanelScaleFactor = dxGetSystemScaleFactor();
}

int TcxCustomEditPopupWindowViewInfo::GetSysPanelHeight()
{
  const int panel = SysPanelStyle && Painter ? Painter->ScaledPopupPanelSize(PanelScaleFactor) : 0;
  return std::max<int>(panel, MinSysPanelHeight);
}

TRect TcxCustomEditPopupWindowViewInfo::GetBorderExtent()
{
  const int border = Painter ? Painter->GetEditPopupWindowBorderWidth(PopupBorderStyle) : 1;
  TRect R{border, border, border, border};
  if (ClientEdge && Painter) {
    const int edge = Painter->GetEditPopupWindowClientEdgeWidth(PopupBorderStyle);
    R = TRect{R.left + edge, R.top + edge, R.right + edge, R.bottom + edge};
  }
  if (Shadow) {
    R.right += cxEditPopupShadowSize;
    R.bottom += cxEditPopupShadowSize;
  }
  if (SysPanelStyle) {
    if (IsBottomCorner(SizeGripCorner))
      R.bottom += GetSysPanelHeight();
    else
      R.top += GetSysPanelHeight();
  }
  if (IsSearchInfoPanelVisible())
    R.bottom += GetSearchInfoPanelHeight();
  return R;
}

void TcxCustomEditPopupWindowViewInfo::DrawBorder(TcxCanvas* ACanvas, TRect& R)
{
  if (Painter)
    Painter->DrawEditPopupWindowBorder(ACanvas, R, PopupBorderStyle, ClientEdge);
}

void TcxCustomEditPopupWindowViewInfo::Paint(TcxCanvas* ACanvas)
{
  if (!Painter)
    return;
  TRect R = Bounds;
  if (Shadow) {
    R.right -= cxEditPopupShadowSize;
    R.bottom -= cxEditPopupShadowSize;
    // The shadow: two strips right of and below the window.
    ACanvas->FillRect(TRect{R.right, Bounds.top + cxEditPopupShadowSize, Bounds.right, Bounds.bottom},
                      vcl::clBtnShadow);
    ACanvas->FillRect(TRect{Bounds.left + cxEditPopupShadowSize, R.bottom, R.right, Bounds.bottom},
                      vcl::clBtnShadow);
  }
  DrawBorder(ACanvas, R);
  if (SysPanelStyle) {
    const bool atTop = !IsBottomCorner(SizeGripCorner);
    const bool separator = NativeStyle || PopupBorderStyle == TcxEditPopupBorderStyle::epbsSingle || UseSkins;
    TRect borders{};
    if (separator)
      (atTop ? borders.bottom : borders.top) = 1;
    Painter->DrawScaledPopupPanelBand(ACanvas, SysPanelBounds, SizeGripRect, CloseButtonRect, SizeGripCorner,
                                      CloseButtonState, borders, Painter->GetContainerBorderColor(false),
                                      PanelScaleFactor, Sizeable, ShowCloseButton);
  }
  Painter->DrawWindowContent(ACanvas, ClientRect);
  if (IsSearchInfoPanelVisible())
    DrawSearchInfoPanel(ACanvas);
}

// ---------------------------------------------------------------------------
// TcxCustomEditPopupWindow: creation and settings

void TcxCustomEditPopupWindow::Create(vcl::TWinControl* AOwnerControl)
{
  inherited::Create(AOwnerControl);
  FPopupAutoSize = true;
  FBorderStyle = TcxEditPopupBorderStyle::epbsDefault;
  FClientEdge = false;
  FCloseButton = false;
  FMinHeight = 0;
  FMinWidth = 0;
  FNativeStyle = false;
  FPopupHeight = 0;
  FPopupWidth = 0;
  FShadow = false;
  FShowContentWhileResize = true;
  FSizeable = false;
  FSysPanelStyle = false;
  FCapturePoint = {};
  FCaptureBounds = {};
  FSizingCapture = false;
  FSizingHitTest = -1;
  FLockCheckSizeCount = 0;
  SetIsOwnerBoundsRTLDependent(true);
  GetPopupViewInfo()->PanelScaleFactor = dxGetScaleFactorOf(this);
}

TcxContainerViewInfoClass TcxCustomEditPopupWindow::GetViewInfoClass()
{
  return TcxContainerViewInfoClass::Of<TcxCustomEditPopupWindowViewInfo>();
}

TcxCustomDropDownEdit* TcxCustomEditPopupWindow::Edit() const
{
  return rtl::As<TcxCustomDropDownEdit>(const_cast<TcxCustomEditPopupWindow*>(this)->GetOwnerControl());
}

void TcxCustomEditPopupWindow::SetBorderStyle(TcxEditPopupBorderStyle AValue)
{
  FBorderStyle = AValue;
  GetPopupViewInfo()->PopupBorderStyle = AValue;
}

void TcxCustomEditPopupWindow::SetClientEdge(bool AValue)
{
  FClientEdge = AValue;
  GetPopupViewInfo()->ClientEdge = AValue;
}

void TcxCustomEditPopupWindow::SetCloseButton(bool AValue)
{
  FCloseButton = AValue;
  GetPopupViewInfo()->ShowCloseButton = AValue;
}

void TcxCustomEditPopupWindow::SetNativeStyle(bool AValue)
{
  FNativeStyle = AValue;
  GetPopupViewInfo()->NativeStyle = AValue;
}

void TcxCustomEditPopupWindow::SetShadow(bool AValue)
{
  FShadow = AValue;
  GetPopupViewInfo()->Shadow = AValue;
}

void TcxCustomEditPopupWindow::SetSizeable(bool AValue)
{
  FSizeable = AValue;
  GetPopupViewInfo()->Sizeable = AValue;
}

void TcxCustomEditPopupWindow::SetSysPanelStyle(bool AValue)
{
  FSysPanelStyle = AValue;
  GetPopupViewInfo()->SysPanelStyle = AValue;
}

void TcxCustomEditPopupWindow::CreateParams(vcl::TCreateParams& AParams)
{
  inherited::CreateParams(AParams);
  TcxCustomDropDownEdit* edit = Edit();
  if (edit && edit->GetViewInfo() && edit->GetViewInfo()->NativeStyle)
    AParams.WindowClass.style |= CS_DROPSHADOW;
}

bool TcxCustomEditPopupWindow::NeedsWorkAreaCorrection()
{
  TcxCustomDropDownEdit* edit = Edit();
  return edit && edit->GetActiveDropDownProperties()->CorrectsPopupBounds();
}

// ---------------------------------------------------------------------------
// Size and place

TSize TcxCustomEditPopupWindow::GetMinSize()
{
  const TRect extent = GetClientExtent();
  TSize result{extent.left + extent.right, extent.top + extent.bottom};
  if (FSizeable && FSysPanelStyle) {
    TcxCustomEditPopupWindowViewInfo* viewInfo = GetPopupViewInfo();
    const int grip = viewInfo->Painter ? viewInfo->Painter->ScaledSizeGripSize(viewInfo->PanelScaleFactor).cx : 0;
    const int closeButton = FCloseButton ? viewInfo->Painter->ScaledPopupPanelSize(viewInfo->PanelScaleFactor) : 0;
    result.cx += closeButton + grip + 10;
  }
  return result;
}

void TcxCustomEditPopupWindow::CalculateSize(TSize& Size)
{
  TcxCustomDropDownEdit* edit = Edit();
  GetPopupViewInfo()->SizeGripCorner = TdxCorner::coBottomRight;
  SetOwnerBounds(edit->GetPopupOwnerBounds());
  const TRect extent = GetClientExtent();
  const TSize minSize = GetMinSize();
  const int ownerWidth = GetOwnerBounds().right - GetOwnerBounds().left;
  const TSize preferred = FPopupAutoSize ? edit->GetPopupWindowClientPreferredSize() : TSize{};
  int width = FPopupAutoSize ? extent.left + extent.right + preferred.cx : (FPopupWidth > 0 ? FPopupWidth : ownerWidth);
  if (FSizeable && FMinWidth > 0)
    width = std::max<int>(width, FMinWidth);
  int height = FPopupAutoSize ? extent.top + extent.bottom + preferred.cy
                              : (FPopupHeight > 0 ? FPopupHeight : std::max<int>(FMinHeight, minSize.cy));
  if (FSizeable && FMinHeight > 0)
    height = std::max<int>(height, FMinHeight);
  Size.cx = std::max<int>(width, minSize.cx);
  Size.cy = std::max<int>(height, minSize.cy);
  if (GetShowSearchInfoPanel())
    Size.cx = std::max<int>(Size.cx, GetFilteringViewInfo()->GetSearchInfoPanelWidth());
}

// The base places the popup (and flips it); the grip then goes to the
// corner away from the editor.
void TcxCustomEditPopupWindow::CalculatePosition(const TSize& Size, TPoint& Pos)
{
  inherited::CalculatePosition(Size, Pos);
  const TRect owner = GetOwnerScreenBounds();
  const TRect area = GetWorkArea(Pos);
  const int right = Pos.x + Size.cx;
  const int bottom = Pos.y + Size.cy;
  const bool leftward = (GetAlignHorz() == TcxPopupAlignHorz::pahRight && right == owner.right && Pos.x > area.left) ||
                        right == owner.left || (right == area.right && Pos.x < owner.right);
  const bool upward = (GetAlignVert() == TcxPopupAlignVert::pavBottom && bottom == owner.bottom && Pos.y > area.top) ||
                      bottom == owner.top || (bottom == area.bottom && Pos.y < owner.bottom);
  TdxCorner corner = TdxCorner::coBottomRight;
  if (leftward && upward)
    corner = TdxCorner::coTopLeft;
  else if (leftward)
    corner = TdxCorner::coBottomLeft;
  else if (upward)
    corner = TdxCorner::coTopRight;
  GetPopupViewInfo()->SizeGripCorner = corner;
  // The bottom shadow strip of an upward popup lies over the editor.
  if (FShadow && upward)
    Pos.y += cxEditPopupShadowSize;
}

bool TcxCustomEditPopupWindow::IsUpward() const
{
  return !IsBottomCorner(GetPopupViewInfo()->SizeGripCorner);
}

TSize TcxCustomEditPopupWindow::GetMaxVisualAreaSize()
{
  TcxCustomDropDownEdit* edit = Edit();
  TRect R = edit->GetBoundsRect();
  if (edit->GetParent() && edit->GetParent()->HandleAllocated()) {
    const TPoint origin = edit->GetParent()->ClientToScreen(TPoint{R.left, R.top});
    OffsetRect(&R, origin.x - R.left, origin.y - R.top);
  }
  const TRect area = GetWorkArea(TPoint{R.left, R.top});
  const int shadow = FShadow ? cxEditPopupShadowSize : 0;
  TSize result{};
  if (GetDirection() == TcxPopupDirection::pdVertical) {
    result.cx = area.right - area.left;
    result.cy = std::max<int>(area.bottom - R.bottom, R.top + shadow - area.top);
  } else {
    result.cx = std::max<int>(area.right - R.right, R.left + shadow - area.left) + 1;
    result.cy = area.bottom - area.top;
  }
  const TRect extent = GetClientExtent();
  result.cx -= extent.left + extent.right;
  result.cy -= extent.top + extent.bottom;
  return result;
}

void TcxCustomEditPopupWindow::CalculateViewInfo()
{
  TcxCustomEditPopupWindowViewInfo* viewInfo = GetPopupViewInfo();
  viewInfo->UpdateStyle(GetStyle());
  viewInfo->Shadow = FShadow;
  viewInfo->NativeStyle = FNativeStyle;
  viewInfo->Bounds = TRect{0, 0, GetWidth(), GetHeight()};
  TRect R = viewInfo->Bounds;
  if (FShadow) {
    R.right -= cxEditPopupShadowSize;
    R.bottom -= cxEditPopupShadowSize;
  }
  TcxCustomLookAndFeelPainter* painter = viewInfo->Painter;
  const int border = painter ? painter->GetEditPopupWindowBorderWidth(FBorderStyle) : 1;
  if (FSysPanelStyle && painter) {
    painter->CalculateScaledPopupPanelClientRect(R, viewInfo->SysPanelBounds, viewInfo->SizeGripRect,
                                                 viewInfo->CloseButtonRect, viewInfo->SizeGripCorner,
                                                 TRect{border, border, border, border}, TRect{0, 1, 0, 1},
                                                 viewInfo->PanelScaleFactor, viewInfo->GetSysPanelHeight(),
                                                 FCloseButton, FSizeable);
    viewInfo->SizeGripSizingRect = TRect{};
    if (FSizeable) {
      TRect sizing = viewInfo->SizeGripRect;
      const TRect& panel = viewInfo->SysPanelBounds;
      (IsRightCorner(viewInfo->SizeGripCorner) ? sizing.right : sizing.left) =
          IsRightCorner(viewInfo->SizeGripCorner) ? panel.right : panel.left;
      (IsBottomCorner(viewInfo->SizeGripCorner) ? sizing.bottom : sizing.top) =
          IsBottomCorner(viewInfo->SizeGripCorner) ? panel.bottom : panel.top;
      viewInfo->SizeGripSizingRect = sizing;
    }
  } else {
    InflateRect(&R, -border, -border);
    viewInfo->SysPanelBounds = {};
    viewInfo->SizeGripRect = {};
    viewInfo->SizeGripSizingRect = {};
    viewInfo->CloseButtonRect = {};
  }
  if (FClientEdge && painter) {
    const int edge = painter->GetEditPopupWindowClientEdgeWidth(FBorderStyle);
    InflateRect(&R, -edge, -edge);
  }
  if (viewInfo->IsSearchInfoPanelVisible()) {
    viewInfo->SearchInfoPanelBounds = R;
    viewInfo->SearchInfoPanelBounds.top = R.bottom - viewInfo->GetSearchInfoPanelHeight();
    R.bottom = viewInfo->SearchInfoPanelBounds.top;
  }
  viewInfo->ClientRect = R;
  viewInfo->UseRightToLeftAlignment = UseRightToLeftAlignment();
  viewInfo->SetCalculated(true);
}

void TcxCustomEditPopupWindow::AdjustClientRect(TRect& ARect)
{
  if (GetPopupViewInfo()->IsCalculated())
    ARect = GetPopupViewInfo()->ClientRect;
}

void TcxCustomEditPopupWindow::Paint()
{
  if (!GetPopupViewInfo()->IsCalculated())
    CalculateViewInfo();
  GetPopupViewInfo()->Paint(GetcxCanvas());
}

void TcxCustomEditPopupWindow::Resize()
{
  inherited::Resize();
  if (!HandleAllocated() || !Edit())
    return;
  CalculateViewInfo();
  ApplyWindowRegion();
}

void TcxCustomEditPopupWindow::ApplyWindowRegion()
{
  if (!HandleAllocated())
    return;
  TRect R{0, 0, GetWidth(), GetHeight()};
  TRect exclude{};
  if (FShadow && !FNativeStyle) {
    R.right -= cxEditPopupShadowSize;
    R.bottom -= cxEditPopupShadowSize;
    if (IsUpward()) {
      // The part of the bottom shadow strip over the editor stays out.
      const TRect owner = GetOwnerScreenBounds();
      exclude = TRect{owner.left - GetLeft(), GetHeight() - cxEditPopupShadowSize,
                      owner.right - cxEditPopupShadowSize - GetLeft(), GetHeight()};
    }
  }
  cxApplyWindowShadowRegion(GetHandle(), R, TRect{}, exclude, FShadow, FNativeStyle);
}

// ---------------------------------------------------------------------------
// Showing and closing

void TcxCustomEditPopupWindow::Popup(vcl::TWinControl* AFocusedControl)
{
  TcxCustomDropDownEdit* edit = Edit();
  if (edit && !cxIsControlWindowVisible(edit)) {
    edit->DoFinalizePopup();
    return;
  }
  inherited::Popup(AFocusedControl ? AFocusedControl : (edit ? edit->GetPopupFocusedControl() : nullptr));
}

void TcxCustomEditPopupWindow::CloseUp()
{
  EndSizing(false);
  inherited::CloseUp();
}

bool TcxCustomEditPopupWindow::IsClickConsumedOnClose(HWND AWnd, UINT /*AMsg*/, const TPoint& APoint,
                                                      vcl::TShiftState /*AShift*/)
{
  // A press on the editor that closes the popup must not open it again.
  TcxCustomDropDownEdit* edit = Edit();
  if (!edit || !edit->HandleAllocated() || !cxIsSameOrChildWindow(edit->GetHandle(), AWnd))
    return false;
  const TRect bounds = cxGetWindowScreenRect(edit->GetHandle());
  return PtInRect(&bounds, APoint) != 0;
}

void TcxCustomEditPopupWindow::HandleResendChar(rtl::TMessage& AMessage)
{
  if (!IsVisible())
    return;
  TcxCustomDropDownEdit* edit = Edit();
  if (edit && edit->GetActiveTextProperties()->UseIncrementalFiltering())
    Refresh();
  if (const HWND focus = GetFocus())
    SendMessageW(focus, WM_CHAR, AMessage.WParam, 0);
}

// ---------------------------------------------------------------------------
// User resizing

int TcxCustomEditPopupWindow::GetSizingHitTest(const TPoint& P)
{
  TcxCustomEditPopupWindowViewInfo* viewInfo = GetPopupViewInfo();
  if (PtInRect(&viewInfo->CloseButtonRect, P))
    return 0;
  if (!FSizeable)
    return -1;
  const TdxCorner corner = viewInfo->SizeGripCorner;
  if (PtInRect(&viewInfo->SizeGripSizingRect, P))
    return DiagonalHit(corner);
  if (FSysPanelStyle)
    return -1;
  const TRect& bounds = viewInfo->Bounds;
  const TRect& client = viewInfo->ClientRect;
  if (!PtInRect(&bounds, P) || PtInRect(&client, P))
    return -1;
  const bool right = IsRightCorner(corner);
  const bool bottom = IsBottomCorner(corner);
  const TRect square{right ? bounds.right - 10 : bounds.left, bottom ? bounds.bottom - 10 : bounds.top,
                     right ? bounds.right : bounds.left + 10, bottom ? bounds.bottom : bounds.top + 10};
  if (PtInRect(&square, P))
    return DiagonalHit(corner);
  if ((!bottom && P.y < client.top) || (bottom && P.y >= client.bottom))
    return 3;
  if ((!right && P.x < client.left) || (right && P.x >= client.right))
    return 4;
  return -1;
}

bool TcxCustomEditPopupWindow::CanResize(int& ANewWidth, int& ANewHeight)
{
  if (!inherited::CanResize(ANewWidth, ANewHeight))
    return false;
  if (!FSizeable || FLockCheckSizeCount > 0 || (ANewWidth == GetWidth() && ANewHeight == GetHeight()))
    return true;
  const TSize minSize = GetMinSize();
  ANewWidth = std::max<int>({ANewWidth, minSize.cx, FMinWidth});
  ANewHeight = std::max<int>({ANewHeight, minSize.cy, FMinHeight});
  TcxCustomDropDownEdit* edit = Edit();
  IcxTextEditLookupData* lookup = edit ? edit->GetILookupData() : nullptr;
  if ((ANewWidth == GetWidth() && ANewHeight == GetHeight()) || !lookup ||
      !edit->GetActiveTextProperties()->IsLookupDataVisual())
    return true;
  const TRect extent = GetClientExtent();
  TSize area{ANewWidth - extent.left - extent.right, ANewHeight - extent.top - extent.bottom};
  const TSize maxSize = GetMaxVisualAreaSize();
  if (lookup->CanResizeVisualArea(area, maxSize.cy, maxSize.cx)) {
    ANewWidth = std::max<int>(area.cx + extent.left + extent.right, minSize.cx);
    ANewHeight = std::max<int>(area.cy + extent.top + extent.bottom, minSize.cy);
  } else {
    ANewWidth = GetWidth();
    ANewHeight = GetHeight();
  }
  return true;
}

TRect TcxCustomEditPopupWindow::CalculateSizingBounds(int AHitTest, int DX, int DY)
{
  const TRect start = FSizingCapture ? FCaptureBounds : GetBoundsRect();
  const TdxCorner corner = GetPopupViewInfo()->SizeGripCorner;
  const bool right = IsRightCorner(corner);
  const bool bottom = IsBottomCorner(corner);
  int width = start.right - start.left;
  int height = start.bottom - start.top;
  if (AHitTest == 1 || AHitTest == 2 || AHitTest == 4)
    width += right ? DX : -DX;
  if (AHitTest == 1 || AHitTest == 2 || AHitTest == 3)
    height += bottom ? DY : -DY;
  CanResize(width, height);
  TRect R{right ? start.left : start.right - width, bottom ? start.top : start.bottom - height, 0, 0};
  R.right = R.left + width;
  R.bottom = R.top + height;
  // The popup keeps overlapping the editor horizontally.
  const TRect owner = GetOwnerScreenBounds();
  R.left = std::min<int>(R.left, owner.right - 1);
  R.right = std::max<int>(R.right, owner.left + 1);
  return R;
}

void TcxCustomEditPopupWindow::ApplySizingBounds(const TRect& R)
{
  TcxCustomDropDownEdit* edit = Edit();
  edit->FPopupSizeChanged = true;
  SetBoundsRect(R);
  CalculateViewInfo();
  edit->PositionPopupWindowChilds(GetPopupViewInfo()->ClientRect);
  edit->StorePopupSize();
  Invalidate();
}

void TcxCustomEditPopupWindow::EndSizing(bool /*AApply*/)
{
  if (!FSizingCapture)
    return;
  FSizingCapture = false;
  FSizingHitTest = -1;
  if (HasCapture())
    ReleaseCapture();
}

void TcxCustomEditPopupWindow::UpdateCloseButtonState(vcl::TShiftState AShift, const TPoint& P)
{
  TcxCustomEditPopupWindowViewInfo* viewInfo = GetPopupViewInfo();
  TcxButtonState state = TcxButtonState::cxbsNormal;
  if (PtInRect(&viewInfo->CloseButtonRect, P))
    state = AShift.Contains(vcl::TShiftStateItem::ssLeft) ? TcxButtonState::cxbsPressed : TcxButtonState::cxbsHot;
  if (state == viewInfo->CloseButtonState)
    return;
  viewInfo->CloseButtonState = state;
  if (HandleAllocated())
    InvalidateRect(GetHandle(), &viewInfo->CloseButtonRect, FALSE);
}

void TcxCustomEditPopupWindow::MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  inherited::MouseDown(AButton, AShift, X, Y);
  if (AButton != vcl::TMouseButton::mbLeft)
    return;
  UpdateCloseButtonState(AShift, {X, Y});
  const int hit = GetSizingHitTest({X, Y});
  if (hit < 1)
    return;
  SetCapture(GetHandle());
  GetCursorPos(&FCapturePoint);
  FCaptureBounds = GetBoundsRect();
  FSizingCapture = true;
  FSizingHitTest = hit;
}

void TcxCustomEditPopupWindow::MouseMove(vcl::TShiftState AShift, int X, int Y)
{
  inherited::MouseMove(AShift, X, Y);
  if (!FSizingCapture) {
    UpdateCloseButtonState(AShift, {X, Y});
    static const vcl::TCursor cursors[] = {vcl::crSizeNWSE, vcl::crSizeNESW, vcl::crSizeNS, vcl::crSizeWE};
    const int hit = GetSizingHitTest({X, Y});
    SetCursor(hit >= 1 ? cursors[hit - 1] : vcl::crDefault);
    return;
  }
  TPoint cursor{};
  GetCursorPos(&cursor);
  const TRect R = CalculateSizingBounds(FSizingHitTest, cursor.x - FCapturePoint.x, cursor.y - FCapturePoint.y);
  const TRect current = GetBoundsRect();
  if (!EqualRect(&R, &current))
    ApplySizingBounds(R);
}

void TcxCustomEditPopupWindow::MouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  inherited::MouseUp(AButton, AShift, X, Y);
  if (AButton != vcl::TMouseButton::mbLeft)
    return;
  if (FSizingCapture) {
    EndSizing(true);
    return;
  }
  TcxCustomEditPopupWindowViewInfo* viewInfo = GetPopupViewInfo();
  const bool wasPressed = viewInfo->CloseButtonState == TcxButtonState::cxbsPressed;
  UpdateCloseButtonState(AShift, {X, Y});
  if (wasPressed && PtInRect(&viewInfo->CloseButtonRect, TPoint{X, Y}) && CloseQuery())
    if (TcxCustomDropDownEdit* edit = Edit())
      edit->CloseUp(TcxEditCloseUpReason::crUnknown);
}

void TcxCustomEditPopupWindow::MouseLeave(vcl::TControl* AControl)
{
  inherited::MouseLeave(AControl);
  UpdateCloseButtonState({}, {-1, -1});
}

void TcxCustomEditPopupWindow::KeyDown(WORD& AKey, vcl::TShiftState AShift)
{
  if (AKey == VK_ESCAPE && FSizingCapture) {
    SetBoundsRect(FCaptureBounds);
    EndSizing(false);
    AKey = 0;
    return;
  }
  inherited::KeyDown(AKey, AShift);
}
