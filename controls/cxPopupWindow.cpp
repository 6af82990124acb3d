#include "controls/cxPopupWindow.h"

#include <algorithm>

#include "controls/cxWindowUtils.h"
#include "controls/dxRightToLeftLayout.h"
#include "graphics/cxGraphics.h"
#include "platform/vcl/Graphics.h"

// ---------------------------------------------------------------------------
// Creation

void TcxPopupWindow::Create()
{
  Create(nullptr);
}

void TcxPopupWindow::Create(rtl::TComponent* AOwner)
{
  // A popup has no designed layout to read.
  CreateNew(AOwner);
  FAcceptAnyPosition = false;
  FAdjustable = true;
  FAlignHorz = TcxPopupAlignHorz::pahLeft;
  FAlignVert = TcxPopupAlignVert::pavBottom;
  FBorderSpace = 0;
  FBorderStyle = TcxPopupBorderStyle::pbsNone;
  FDirection = TcxPopupDirection::pdVertical;
  FFrameColor = vcl::clWindowText;
  FIsOwnerBoundsRTLDependent = false;
  FOwnerBounds = {};
  FOwnerParent = nullptr;
  FPrevActiveWindow = nullptr;
  FAppliedBorderOffset = {};
  FFormCanvas = rtl::New<vcl::TCanvas>();
  FCanvas = rtl::New<TcxCanvas>(FFormCanvas);
  SetBorderStyle(vcl::TFormBorderStyle::bsNone);
  FControlStyle.Include(vcl::TControlStyleItem::csOverrideStylePaint);
  // The frame is drawn over the client area, so painting never falls
  // through to the default handler.
  FControlState.Include(vcl::TControlStateItem::csCustomPaint);
}

void TcxPopupWindow::Destroy()
{
  rtl::Free(FCanvas);
  FCanvas = nullptr;
  rtl::Free(FFormCanvas);
  FFormCanvas = nullptr;
  inherited::Destroy();
}

void TcxPopupWindow::CreateParams(vcl::TCreateParams& AParams)
{
  inherited::CreateParams(AParams);
  AParams.ExStyle |= WS_EX_TOPMOST;
}

// ---------------------------------------------------------------------------
// Properties

void TcxPopupWindow::SetAdjustable(bool AValue)
{
  if (FAdjustable == AValue)
    return;
  FAdjustable = AValue;
  AdjustableChanged();
}

void TcxPopupWindow::SetBorderSpace(int AValue)
{
  RemoveBorderOffsetFromControls();
  if (FBorderSpace == AValue)
    return;
  FBorderSpace = AValue;
  BorderChanged();
}

void TcxPopupWindow::SetPopupBorderStyle(TcxPopupBorderStyle AValue)
{
  RemoveBorderOffsetFromControls();
  if (FBorderStyle == AValue)
    return;
  FBorderStyle = AValue;
  BorderChanged();
}

// The offset the last CalculateSize added comes off again, so that the next
// sizing adds the current border's and the controls keep their place in the
// client bounds. Only what was added is taken off: a popup not sized yet
// has added nothing, and one sized twice has added its offset once.
void TcxPopupWindow::RemoveBorderOffsetFromControls()
{
  const TPoint offset = FAppliedBorderOffset;
  FAppliedBorderOffset = {};
  if (offset.x == 0 && offset.y == 0)
    return;
  for (int i = 0; i < GetControlCount(); ++i) {
    vcl::TControl* control = GetControls(i);
    control->SetBounds(control->GetLeft() - offset.x, control->GetTop() - offset.y, control->GetWidth(),
                       control->GetHeight());
  }
}

// ---------------------------------------------------------------------------
// Geometry

int TcxPopupWindow::GetFrameWidth(int /*ASide*/)
{
  switch (FBorderStyle) {
    case TcxPopupBorderStyle::pbsUltraFlat:
    case TcxPopupBorderStyle::pbsFlat:
      return 1;
    case TcxPopupBorderStyle::pbs3D:
      return 2;
    default:
      return 0;
  }
}

int TcxPopupWindow::GetBorderWidth(int ASide)
{
  return GetFrameWidth(ASide) + FBorderSpace;
}

TRect TcxPopupWindow::GetClientBounds()
{
  TRect r = GetClientRect();
  r.left += GetBorderWidth(0);
  r.top += GetBorderWidth(1);
  r.right -= GetBorderWidth(2);
  r.bottom -= GetBorderWidth(3);
  return r;
}

TRect TcxPopupWindow::GetOwnerScreenBounds()
{
  TRect r = FOwnerBounds;
  if (!IsOwnerBoundsRelative() || !FOwnerParent)
    return r;
  auto* ownerWindow =
      rtl::Is<vcl::TWinControl>(FOwnerParent) ? static_cast<vcl::TWinControl*>(FOwnerParent) : nullptr;
  if (FIsOwnerBoundsRTLDependent && ownerWindow && ownerWindow->HandleAllocated() &&
      cxIsWindowLayoutRTL(ownerWindow->GetHandle()))
    r = TdxRightToLeftLayoutConverter::ConvertRect(r, FOwnerParent->GetClientRect());
  const TPoint origin = FOwnerParent->ClientToScreen(TPoint{r.left, r.top});
  OffsetRect(&r, origin.x - r.left, origin.y - r.top);
  return r;
}

TRect TcxPopupWindow::GetWorkArea(const TPoint& P)
{
  return cxGetWorkAreaAtPoint(P);
}

void TcxPopupWindow::CalculateSize(TSize& Size)
{
  if (!FAdjustable) {
    Size = {GetWidth(), GetHeight()};
    return;
  }
  // Without children there is nothing to measure: the form keeps its size.
  if (GetControlCount() == 0) {
    Size = {GetWidth(), GetHeight()};
    return;
  }
  RemoveBorderOffsetFromControls();
  const int left = GetBorderWidth(0);
  const int top = GetBorderWidth(1);
  int right = 0;
  int bottom = 0;
  for (int i = 0; i < GetControlCount(); ++i) {
    vcl::TControl* control = GetControls(i);
    right = std::max(right, control->GetLeft() + control->GetWidth());
    bottom = std::max(bottom, control->GetTop() + control->GetHeight());
    control->SetBounds(control->GetLeft() + left, control->GetTop() + top, control->GetWidth(), control->GetHeight());
  }
  FAppliedBorderOffset = {left, top};
  Size.cx = left + right + GetBorderWidth(2);
  Size.cy = top + bottom + GetBorderWidth(3);
}

void TcxPopupWindow::CalculateCenteredPosition(TPoint& Pos, TPoint& MonitorPoint, const TSize& Size)
{
  const TRect owner = GetOwnerScreenBounds();
  if (FAlignHorz == TcxPopupAlignHorz::pahCenter) {
    Pos.x = (owner.left + owner.right - Size.cx) / 2;
    MonitorPoint.x = Pos.x;
  }
  if (FAlignVert == TcxPopupAlignVert::pavCenter) {
    Pos.y = (owner.top + owner.bottom - Size.cy) / 2;
    MonitorPoint.y = Pos.y;
  }
}

void TcxPopupWindow::CalculateVerticalDirectionPosition(TPoint& Pos, TPoint& MonitorPoint, const TSize& Size)
{
  const TRect owner = GetOwnerScreenBounds();
  switch (FAlignHorz) {
    case TcxPopupAlignHorz::pahLeft:
      Pos.x = owner.left;
      MonitorPoint.x = owner.left;
      break;
    case TcxPopupAlignHorz::pahRight:
      Pos.x = owner.right - Size.cx;
      MonitorPoint.x = owner.right - 1;
      break;
    default:
      break;
  }
  switch (FAlignVert) {
    case TcxPopupAlignVert::pavTop:
      Pos.y = owner.top - Size.cy;
      MonitorPoint.y = owner.top;
      break;
    case TcxPopupAlignVert::pavBottom:
      Pos.y = owner.bottom;
      MonitorPoint.y = owner.bottom - 1;
      break;
    default:
      break;
  }
}

void TcxPopupWindow::CalculateHorizontalDirectionPosition(TPoint& Pos, TPoint& MonitorPoint, const TSize& Size)
{
  const TRect owner = GetOwnerScreenBounds();
  switch (FAlignHorz) {
    case TcxPopupAlignHorz::pahLeft:
      Pos.x = owner.left - Size.cx;
      MonitorPoint.x = owner.left;
      break;
    case TcxPopupAlignHorz::pahRight:
      Pos.x = owner.right;
      MonitorPoint.x = owner.right - 1;
      break;
    default:
      break;
  }
  switch (FAlignVert) {
    case TcxPopupAlignVert::pavTop:
      Pos.y = owner.top;
      MonitorPoint.y = owner.top;
      break;
    case TcxPopupAlignVert::pavBottom:
      Pos.y = owner.bottom - Size.cy;
      MonitorPoint.y = owner.bottom - 1;
      break;
    default:
      break;
  }
}

void TcxPopupWindow::CalculateInitialPosition(TPoint& Pos, TPoint& MonitorPoint, const TSize& Size)
{
  CalculateCenteredPosition(Pos, MonitorPoint, Size);
  if (FDirection == TcxPopupDirection::pdHorizontal)
    CalculateHorizontalDirectionPosition(Pos, MonitorPoint, Size);
  else
    CalculateVerticalDirectionPosition(Pos, MonitorPoint, Size);
}

void TcxPopupWindow::CalculatePosition(const TSize& Size, TPoint& Pos)
{
  TPoint monitorPoint{};
  CalculateInitialPosition(Pos, monitorPoint, Size);
  CorrectPosition(Pos, monitorPoint, Size);
}

void TcxPopupWindow::CorrectPosition(TPoint& Pos, const TPoint& MonitorPoint, const TSize& Size)
{
  if (!FAcceptAnyPosition) {
    const TRect area = GetWorkArea(MonitorPoint);
    const TRect owner = GetOwnerScreenBounds();
    TPoint monitorPoint = MonitorPoint;
    if (FDirection == TcxPopupDirection::pdVertical) {
      const int roomAbove = owner.top - area.top;
      const int roomBelow = area.bottom - owner.bottom;
      if (FAlignVert == TcxPopupAlignVert::pavTop && Pos.y < area.top && roomAbove <= roomBelow)
        FAlignVert = TcxPopupAlignVert::pavBottom;
      else if (FAlignVert == TcxPopupAlignVert::pavBottom && Pos.y + Size.cy > area.bottom && roomAbove > roomBelow)
        FAlignVert = TcxPopupAlignVert::pavTop;
      CalculateVerticalDirectionPosition(Pos, monitorPoint, Size);
    } else {
      const int roomLeft = owner.left - area.left;
      const int roomRight = area.right - owner.right;
      if (FAlignHorz == TcxPopupAlignHorz::pahLeft && Pos.x < area.left && roomLeft <= roomRight)
        FAlignHorz = TcxPopupAlignHorz::pahRight;
      else if (FAlignHorz == TcxPopupAlignHorz::pahRight && Pos.x + Size.cx > area.right && roomLeft > roomRight)
        FAlignHorz = TcxPopupAlignHorz::pahLeft;
      CalculateHorizontalDirectionPosition(Pos, monitorPoint, Size);
    }
  }
  CorrectPositionByWorkArea(Pos, MonitorPoint, Size);
}

// Only the coordinate along the owner is fitted; the one across it is the
// flip's business.
void TcxPopupWindow::CorrectPositionByWorkArea(TPoint& Pos, const TPoint& MonitorPoint, const TSize& Size)
{
  const TRect area = GetWorkArea(MonitorPoint);
  if (FDirection == TcxPopupDirection::pdVertical || FAlignHorz == TcxPopupAlignHorz::pahCenter) {
    if (Pos.x + Size.cx > area.right)
      Pos.x = area.right - Size.cx;
    if (Pos.x < area.left)
      Pos.x = area.left;
  }
  if (FDirection == TcxPopupDirection::pdHorizontal || FAlignVert == TcxPopupAlignVert::pavCenter) {
    if (Pos.y + Size.cy > area.bottom)
      Pos.y = area.bottom - Size.cy;
    if (Pos.y < area.top)
      Pos.y = area.top;
  }
}

// ---------------------------------------------------------------------------
// Showing and closing

void TcxPopupWindow::InitPopup()
{
  if (FOwnerParent)
    GetFont()->Assign(FOwnerParent->GetFont());
}

void TcxPopupWindow::Popup()
{
  InitPopup();
  TSize size{GetWidth(), GetHeight()};
  CalculateSize(size);
  TPoint pos{};
  CalculatePosition(size, pos);
  SetBounds(pos.x, pos.y, size.cx, size.cy);
  Show();
}

void TcxPopupWindow::CloseUp()
{
  Hide();
}

// ---------------------------------------------------------------------------
// Painting

void TcxPopupWindow::PaintWindow(HDC ADC)
{
  FFormCanvas->SetHandle(ADC);
  struct TReleaseHandle {
    vcl::TCanvas* Canvas;
    ~TReleaseHandle() { Canvas->SetHandle(nullptr); }
  } release{FFormCanvas};
  FFormCanvas->GetFont()->Assign(GetFont());
  Paint();
  DrawFrame();
}

void TcxPopupWindow::DrawFrame()
{
  TRect r{0, 0, GetWidth(), GetHeight()};
  switch (FBorderStyle) {
    case TcxPopupBorderStyle::pbsUltraFlat:
      FCanvas->FrameRect(r, FFrameColor);
      break;
    case TcxPopupBorderStyle::pbsFlat:
      FCanvas->DrawEdge(r, false, false);
      break;
    case TcxPopupBorderStyle::pbs3D:
      FCanvas->DrawEdge(r, false, true);
      InflateRect(&r, -1, -1);
      FCanvas->DrawEdge(r, false, false);
      break;
    default:
      break;
  }
}

// ---------------------------------------------------------------------------
// Activation

void TcxPopupWindow::WMActivate(vcl::TMessage& AMessage)
{
  rtl::InheritedMessage(this, AMessage);
  if (LOWORD(AMessage.WParam) != WA_INACTIVE) {
    // The window we took the activation from keeps an active caption.
    FPrevActiveWindow = reinterpret_cast<HWND>(AMessage.LParam);
    if (FPrevActiveWindow)
      SendMessageW(FPrevActiveWindow, WM_NCACTIVATE, 1, 0);
  }
}

void TcxPopupWindow::WMActivateApp(vcl::TMessage& AMessage)
{
  rtl::InheritedMessage(this, AMessage);
  if (AMessage.WParam == 0) {
    if (FPrevActiveWindow && IsWindow(FPrevActiveWindow))
      SendMessageW(FPrevActiveWindow, WM_NCACTIVATE, 0, 0);
    CloseUp();
  }
}

void TcxPopupWindow::Deactivate()
{
  inherited::Deactivate();
  CloseUp();
}

void TcxPopupWindow::CMVisibleChanged(vcl::TMessage& AMessage)
{
  rtl::InheritedMessage(this, AMessage);
  VisibleChanged();
}
