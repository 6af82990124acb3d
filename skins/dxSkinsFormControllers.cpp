// The window controllers of forms, the MDI client and frames: they take over
// the non-client messages of their window (frame size, painting, activation,
// caption-button clicks, region, system menu); and the self-skinning form.
#include <algorithm>

#include "controls/cxMouseTracking.h"
#include "controls/cxWindowUtils.h"
#include "core/cxGeometry.h"
#include "core/dxCore.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsControls.h"
#include "platform/vcl/GraphicsHandles.h"
#include "platform/vcl/StdCtrls.h"
#include "skins/dxSkinsForm.h"
#include "skins/dxSkinsLookAndFeelPainter.h"

namespace {

// Sent by the system for Alt+Space on a window drawing its own caption.
constexpr UINT WM_POPUPSYSTEMMENU = 0x0313;

TPoint CursorPos()
{
  POINT cursor{};
  GetCursorPos(&cursor);
  return TPoint(cursor.x, cursor.y);
}

TPoint MessagePoint(LPARAM ALParam)
{
  return TPoint(static_cast<short>(LOWORD(ALParam)), static_cast<short>(HIWORD(ALParam)));
}

// Sends straight to the system's default procedure, past every hook.
LRESULT CallDefWindowProc(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam)
{
  return DefWindowProcW(AWnd, AMsg, AWParam, ALParam);
}

}  // namespace

// ---------------------------------------------------------------------------
// TdxSkinFormHelper

bool TdxSkinFormHelper::CanUseSkin(vcl::TCustomForm* AForm)
{
  return AForm && (!AForm->HandleAllocated() || SendMessageW(AForm->GetHandle(), SKM_NOSKIN, 0, 0) == 0);
}

vcl::TCustomForm* TdxSkinFormHelper::GetForm(HWND AHandle)
{
  vcl::TWinControl* control = cxFindControlByWindow(AHandle);
  return rtl::Is<vcl::TCustomForm>(control) ? static_cast<vcl::TCustomForm*>(control) : nullptr;
}

int TdxSkinFormHelper::GetClientOffset(HWND)
{
  // The framework's forms have no band between frame and client controls.
  return 0;
}

bool TdxSkinFormHelper::HasClientEdge(HWND AHandle)
{
  return (GetWindowLongW(AHandle, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
}

bool TdxSkinFormHelper::IsAlphaBlendUsed(HWND AHandle)
{
  if (GetWindowLongW(AHandle, GWL_EXSTYLE) & WS_EX_LAYERED)
    return true;
  HWND parent = GetParent(AHandle);
  if (!TdxSkinWinController::IsMDIClientWindow(parent))
    return false;
  HWND frame = GetParent(parent);
  return frame && (GetWindowLongW(frame, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
}

// ---------------------------------------------------------------------------
// TdxSkinCustomFormController

void TdxSkinCustomFormController::Create(HWND AHandle)
{
  inherited::Create(AHandle);
  FViewInfo = CreateViewInfo();
  FPainter = CreatePainter();
  if (IsMessageDlgWindow(AHandle))
    PostMessageW(AHandle, SKM_ADAPTDIALOG, 0, 0);
  FScrollBarsController = rtl::New<TdxSkinFormScrollBarsController>(this);
}

void TdxSkinCustomFormController::CreateEx(TdxSkinForm* ASkinForm)
{
  FSkinForm = ASkinForm;
  Create(ASkinForm->GetHandle());
}

void TdxSkinCustomFormController::Destroy()
{
  SetHandle(nullptr);
  vcl::DeleteAndNil(FPrevVisibleRegion);
  rtl::FreeAndNil(FScrollBarsController);
  rtl::FreeAndNil(FPainter);
  rtl::FreeAndNil(FViewInfo);
  inherited::Destroy();
}

TdxSkinFormPainter* TdxSkinCustomFormController::CreatePainter()
{
  return rtl::New<TdxSkinFormPainter>(FViewInfo);
}

TdxSkinFormNonClientAreaInfo* TdxSkinCustomFormController::CreateViewInfo()
{
  return rtl::New<TdxSkinFormNonClientAreaInfo>(this);
}

vcl::TCustomForm* TdxSkinCustomFormController::GetForm() const
{
  return FSkinForm ? FSkinForm : TdxSkinFormHelper::GetForm(FHandle);
}

bool TdxSkinCustomFormController::GetUseSkin()
{
  return inherited::GetUseSkin() && FViewInfo;
}

bool TdxSkinCustomFormController::IsHookNeeded()
{
  return inherited::IsHookNeeded() && !FSkinForm;
}

void TdxSkinCustomFormController::DefWndProc(rtl::TMessage& AMessage)
{
  if (FSkinForm)
    FSkinForm->InheritedWndProc(AMessage);
  else
    inherited::DefWndProc(AMessage);
}

void TdxSkinCustomFormController::RecalculateViewInfo()
{
  UpdateScaleFactor();
  FViewInfo->Calculate();
}

void TdxSkinCustomFormController::CalculateAndPaintBorder()
{
  RecalculateViewInfo();
  PaintWindowBorder(nullptr);
}

void TdxSkinCustomFormController::PaintWindowBackground(HDC DC)
{
  FPainter->BeginPaint(DC);
  const rtl::Finally endPaint([&] { FPainter->EndPaint(); });
  FPainter->DrawWindowBackground();
}

void TdxSkinCustomFormController::PaintWindowBorder(HDC DC)
{
  FPainter->BeginPaint(DC);
  const rtl::Finally endPaint([&] { FPainter->EndPaint(); });
  FPainter->DrawWindowBorder();
}

void TdxSkinCustomFormController::PaintWindowScrollArea(HDC DC)
{
  FPainter->BeginPaint(DC);
  const rtl::Finally endPaint([&] { FPainter->EndPaint(); });
  FPainter->DrawWindowScrollArea();
}

void TdxSkinCustomFormController::LockRedraw()
{
  if (FLockRedrawCount++ == 0)
    CallDefWindowProc(FHandle, WM_SETREDRAW, FALSE, 0);
}

void TdxSkinCustomFormController::UnlockRedraw()
{
  if (FLockRedrawCount > 0 && --FLockRedrawCount == 0)
    CallDefWindowProc(FHandle, WM_SETREDRAW, TRUE, 0);
}

void TdxSkinCustomFormController::PostRedrawForSystemFrame()
{
  if (dxOSIsWindows2000 || FViewInfo->UseSystemFrameMetrics(true))
    PostRedrawNC();
}

void TdxSkinCustomFormController::PostRedrawNC()
{
  PostMessageW(FHandle, SKM_REDRAWNC, 0, 0);
}

TPoint TdxSkinCustomFormController::ClientCursorPos() const
{
  return FViewInfo->GetClientCursorPos();
}

TPoint TdxSkinCustomFormController::MirrorForScrollBars(const TPoint& P) const
{
  if (!FViewInfo->IsRightToLeftLayout())
    return P;
  return TPoint(FViewInfo->FWindowBounds.right - P.x - 1, P.y);
}

// ---------------------------------------------------------------------------
// The window procedure

void TdxSkinCustomFormController::WndProc(rtl::TMessage& AMessage)
{
  switch (AMessage.Msg) {
    case WM_SETTEXT:
      HandleSetText(AMessage);
      return;
    case WM_THEMECHANGED:
      FViewInfo->ResetThemeActive();
      return;
    case SKM_ADAPTDIALOG:
      AdaptMessageDialog();
      return;
    default:
      break;
  }
  if (!GetUseSkin()) {
    DefWndProc(AMessage);
    return;
  }
  if (HandleMessage(AMessage))
    return;
  PreProcessMessage(AMessage);
  rtl::TFreeWatch watch(this);
  DefWndProc(AMessage);
  if (!watch.Freed())
    PostProcessMessage(AMessage);
}

void TdxSkinCustomFormController::PassOnAndPaint(rtl::TMessage& AMessage)
{
  rtl::TFreeWatch watch(this);
  DefWndProc(AMessage);
  if (!watch.Freed())
    PaintWindowBorder(nullptr);
}

bool TdxSkinCustomFormController::HandleMessage(rtl::TMessage& AMessage)
{
  if (FForceRedraw) {
    FForceRedraw = false;
    PaintWindowBorder(nullptr);
  }
  switch (AMessage.Msg) {
    case WM_ACTIVATE:
    case WM_MOUSEACTIVATE:
      HandleActivate(AMessage);
      return true;
    case WM_ERASEBKGND:
      HandleEraseBackground(AMessage);
      return true;
    case 0x003F: {
      rtl::TFreeWatch watch(this);
      DefWndProc(AMessage);
      if (!watch.Freed())
        Refresh();
      return true;
    }
    case WM_CONTEXTMENU:
      return HandleContextMenu(AMessage);
    case WM_NCCALCSIZE:
      HandleNCCalcSize(AMessage);
      return true;
    case WM_NCHITTEST:
      return HandleNCHitTest(AMessage);
    case WM_NCPAINT:
      HandleNCPaint(AMessage);
      return true;
    case WM_NCACTIVATE:
      HandleNCActivate(AMessage);
      return true;
    case WM_SYNCPAINT:
    case 0x00AE:
    case 0x00AF:
      PaintWindowBorder(nullptr);
      return true;
    case WM_NCMOUSEMOVE:
      if (!UpdateHotState(false)) {
        AMessage.WParam = 0;
        PassOnAndPaint(AMessage);
      }
      return true;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      HandleNCLButtonDown(AMessage);
      return true;
    case WM_NCLBUTTONUP:
      return MouseUp(ClientCursorPos());
    case WM_SYSCOMMAND:
      HandleSysCommand(AMessage);
      return true;
    case WM_INITMENU:
      HandleInitMenu(AMessage);
      return true;
    case WM_MOUSEMOVE:
      if (!FScrollBarsController->IsScrolling())
        return false;
      FScrollBarsController->MouseMove(MirrorForScrollBars(ClientCursorPos()));
      return true;
    case WM_LBUTTONUP:
      if (!FScrollBarsController->IsScrolling())
        return false;
      FScrollBarsController->MouseUp(MirrorForScrollBars(ClientCursorPos()));
      UpdateHotState(true);
      return true;
    case WM_MOUSEWHEEL:
    case rtl::CM_MOUSEWHEEL: {
      if (!FViewInfo->HasScrollsArea())
        return false;
      rtl::TFreeWatch watch(this);
      LockRedraw();
      DefWndProc(AMessage);
      if (watch.Freed())
        return true;
      RecalculateViewInfo();
      UnlockRedraw();
      Redraw(false);
      return true;
    }
    case WM_POPUPSYSTEMMENU:
      HandlePopupSystemMenu(AMessage);
      return true;
    default:
      return HandleSkinMessage(AMessage);
  }
}

bool TdxSkinCustomFormController::HandleSkinMessage(rtl::TMessage& AMessage)
{
  switch (AMessage.Msg) {
    case SKM_REDRAWNC:
      Redraw(false);
      return true;
    case SKM_CHILDCHANGED:
      FViewInfo->UpdateFormCaption();
      PaintWindowBorder(nullptr);
      return true;
    case SKM_CHECKREGION:
      UpdateRegion(AMessage.WParam != 0);
      return true;
    default:
      return false;
  }
}

void TdxSkinCustomFormController::PreProcessMessage(rtl::TMessage& AMessage)
{
  switch (AMessage.Msg) {
    case WM_PAINT:
      HandlePaint(AMessage);
      break;
    case WM_QUERYOPEN:
    case WM_EXITMENULOOP:
      FViewInfo->ResetSystemMenu();
      break;
    case WM_SHOWWINDOW:
      PostRedrawNC();
      break;
    case WM_NCCREATE:
      ResetRegion(true);
      RecalculateViewInfo();
      break;
    default:
      break;
  }
}

void TdxSkinCustomFormController::PostProcessMessage(rtl::TMessage& AMessage)
{
  switch (AMessage.Msg) {
    case WM_DESTROY:
      FLookAndFeelPainter = nullptr;
      Unhook();
      break;
    case WM_MDIDESTROY:
      if (AMessage.WParam == 0) {
        FLookAndFeelPainter = nullptr;
        Unhook();
      }
      break;
    case WM_SIZE:
      HandleSize(AMessage);
      break;
    case WM_WINDOWPOSCHANGED:
      HandleWindowPosChanged(AMessage);
      break;
    case WM_SETICON:
      InvalidateNC();
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      Redraw(true);
      break;
    case WM_PRINT:
      HandlePrint(AMessage);
      break;
    default:
      break;
  }
}

// ---------------------------------------------------------------------------
// Handlers

void TdxSkinCustomFormController::HandleActivate(rtl::TMessage& AMessage)
{
  PassOnAndPaint(AMessage);
}

void TdxSkinCustomFormController::HandleEraseBackground(rtl::TMessage& AMessage)
{
  HDC dc = reinterpret_cast<HDC>(AMessage.WParam);
  if (!dc)
    return;
  const int saved = SaveDC(dc);
  const rtl::Finally restore([&] { RestoreDC(dc, saved); });
  vcl::TCustomForm* form = GetForm();
  const bool buffered = AMessage.LParam == static_cast<LPARAM>(AMessage.WParam);
  if (form && !FViewInfo->IsRightToLeftLayout() && !buffered &&
      !form->GetControlState().Contains(vcl::TControlStateItem::csPaintCopy)) {
    // Opaque children paint their whole face: no background under them.
    for (int i = 0; i < form->GetControlCount(); ++i) {
      vcl::TControl* control = form->GetControls(i);
      if (control->GetVisible() && control->GetControlStyle().Contains(vcl::TControlStyleItem::csOpaque)) {
        const TRect bounds = control->GetBoundsRect();
        ExcludeClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
      }
    }
  }
  PaintWindowBackground(dc);
  AMessage.Result = 1;
}

void TdxSkinCustomFormController::HandleNCCalcSize(rtl::TMessage& AMessage)
{
  // Both forms of the message start with the proposed window rectangle.
  auto* proposedRect = reinterpret_cast<RECT*>(AMessage.LParam);
  const TRect proposed = proposedRect ? TRect(*proposedRect) : TRect{};
  rtl::TFreeWatch watch(this);
  DefWndProc(AMessage);
  if (watch.Freed())
    return;
  RecalculateViewInfo();
  if (proposedRect && FViewInfo->NeedCheckNonClientSize()) {
    const TRect offsets = FViewInfo->GetClientAreaOffsets();
    *proposedRect = TRect(proposed.left + offsets.left, proposed.top + offsets.top, proposed.right - offsets.right,
                          proposed.bottom - offsets.bottom);
    if (proposedRect->right < proposedRect->left)
      proposedRect->right = proposedRect->left;
    if (proposedRect->bottom < proposedRect->top)
      proposedRect->bottom = proposedRect->top;
  }
}

bool TdxSkinCustomFormController::HandleNCHitTest(rtl::TMessage& AMessage)
{
  RecalculateViewInfo();
  const int hitTest = FViewInfo->GetHitTest(MessagePoint(AMessage.LParam), static_cast<int>(AMessage.Result));
  AMessage.Result = hitTest;
  return hitTest != HTNOWHERE && hitTest != HTSYSMENU;
}

void TdxSkinCustomFormController::HandleNCPaint(rtl::TMessage& AMessage)
{
  CalculateAndPaintBorder();
  if (GetMenu(FHandle) || FViewInfo->IsMDIClient()) {
    // The system paints what the skin does not: the menu bar.
    const TRect window = cxGetWindowScreenRect(FHandle);
    vcl::TOwnedRegion region(CreateRectRgnIndirect(&window));
    vcl::TOwnedRegion drawn(FViewInfo->CreateDrawRgn());
    CombineRgn(region.Get(), region.Get(), drawn.Get(), RGN_DIFF);
    if (AMessage.WParam != 1)
      CombineRgn(region.Get(), region.Get(), reinterpret_cast<HRGN>(AMessage.WParam), RGN_AND);
    AMessage.WParam = reinterpret_cast<WPARAM>(region.Get());
    rtl::TFreeWatch watch(this);
    DefWndProc(AMessage);
    if (watch.Freed())
      return;
  }
  AMessage.WParam = 1;
  AMessage.Result = 0;
}

void TdxSkinCustomFormController::HandleNCActivate(rtl::TMessage& AMessage)
{
  FViewInfo->SetActive(AMessage.WParam != 0);
  if (GetWindowLongW(FHandle, GWL_STYLE) & WS_CHILD) {
    // An MDI child: the system keeps its state, but must not paint.
    const LONG style = cxModifyWindowLong(FHandle, 0, WS_VISIBLE, TcxWindowLongMode::Exclude);
    AMessage.Result = CallDefWindowProc(FHandle, WM_NCACTIVATE, AMessage.WParam, 0);
    SetWindowLongW(FHandle, GWL_STYLE, style);
  } else {
    AMessage.Result = 1;
  }
  PaintWindowBorder(nullptr);
}

void TdxSkinCustomFormController::HandleNCLButtonDown(rtl::TMessage& AMessage)
{
  if (FWinControl)
    FWinControl->Perform(WM_CANCELMODE, 0, 0);
  FForceRedraw = true;
  MouseDown(ClientCursorPos());
  TdxSkinFormIconInfo* pressed = FViewInfo->GetIconInfoList()->GetIconPressed();
  const bool captionButton = pressed && pressed->FIconType != TdxSkinFormIcon::sfiMenu;
  rtl::TFreeWatch watch(this);
  if (AMessage.WParam != HTHSCROLL && AMessage.WParam != HTVSCROLL && !captionButton)
    DefWndProc(AMessage);
  if (watch.Freed())
    return;
  UpdateHotState(true);
  PaintWindowBorder(nullptr);
  AMessage.Result = 0;
}

bool TdxSkinCustomFormController::MouseDown(const TPoint& P)
{
  FViewInfo->GetIconInfoList()->MouseDown(P);
  FScrollBarsController->MouseDown(MirrorForScrollBars(P));
  return true;
}

bool TdxSkinCustomFormController::MouseUp(const TPoint& P)
{
  FScrollBarsController->MouseUp(MirrorForScrollBars(P));
  TdxSkinFormIconInfo* icon = nullptr;
  FViewInfo->GetIconInfoList()->MouseUp(P, icon);
  rtl::TFreeWatch watch(this);
  UpdateHotState(true);
  if (icon && icon->GetEnabled())
    SendMessageW(FHandle, WM_SYSCOMMAND, icon->GetCommand(), 0);
  return icon != nullptr;
}

void TdxSkinCustomFormController::HandleSysCommand(rtl::TMessage& AMessage)
{
  if ((AMessage.WParam & 0xFFF0) == SC_SCREENSAVE) {
    DefWndProc(AMessage);
    return;
  }
  PostRedrawForSystemFrame();
  rtl::TFreeWatch watch(this);
  if ((AMessage.WParam & 0xFFF0) == SC_KEYMENU && AMessage.LParam == 32) {
    LockWindowUpdate(FHandle);
    const rtl::Finally unlock([] { LockWindowUpdate(nullptr); });
    DefWndProc(AMessage);
  } else {
    DefWndProc(AMessage);
  }
  if (!watch.Freed())
    PaintWindowBorder(nullptr);
}

void TdxSkinCustomFormController::HandleInitMenu(rtl::TMessage& AMessage)
{
  HMENU sysMenu = GetSystemMenu(FHandle, FALSE);
  AMessage.WParam = reinterpret_cast<WPARAM>(sysMenu);
  const HWND handle = FHandle;
  const LONG style = cxModifyWindowLong(handle, 0, WS_VISIBLE, TcxWindowLongMode::Exclude);
  const rtl::Finally restore([&] { SetWindowLongW(handle, GWL_STYLE, style); });
  FViewInfo->RebuildSystemMenu(sysMenu);
  if (dxSkinControllers())
    dxSkinControllers()->PopupSysMenu(GetForm(), sysMenu);
  DefWndProc(AMessage);
}

bool TdxSkinCustomFormController::HandleContextMenu(rtl::TMessage& AMessage)
{
  const TPoint P = MessagePoint(AMessage.LParam);
  RecalculateViewInfo();
  const int hitTest = FViewInfo->GetHitTest(P, 0);
  if (hitTest != HTCAPTION && hitTest != HTSYSMENU)
    return false;
  PopupSystemMenuAt(P);
  AMessage.Result = 0;
  return true;
}

void TdxSkinCustomFormController::HandlePopupSystemMenu(rtl::TMessage& AMessage)
{
  if (IsWindowEnabled(FHandle)) {
    // The handlers get the menu that is about to show, as on WM_INITMENU.
    if (dxSkinControllers())
      dxSkinControllers()->PopupSysMenu(GetForm(), GetSystemMenu(FHandle, FALSE));
    PopupSystemMenuAt(CursorPos());
  }
  AMessage.Result = 0;
}

void TdxSkinCustomFormController::PopupSystemMenu(const TPoint& P, const TRect& AExcludeRect, int AAlignment)
{
  PostRedrawForSystemFrame();
  TPMPARAMS params{};
  params.cbSize = sizeof(params);
  params.rcExclude = AExcludeRect;
  const UINT flags = TPM_RETURNCMD | (AAlignment == 1 ? TPM_BOTTOMALIGN : 0);
  const HWND handle = FHandle;
  const int command = TrackPopupMenuEx(GetSystemMenu(handle, FALSE), flags, P.x, P.y, handle, &params);
  PostMessageW(handle, WM_SYSCOMMAND, command, 0);
}

void TdxSkinCustomFormController::HandlePaint(rtl::TMessage&)
{
  FViewInfo->CalculateScrollBars();
  PaintWindowScrollArea(nullptr);
}

void TdxSkinCustomFormController::HandlePrint(rtl::TMessage& AMessage)
{
  const LPARAM flags = AMessage.LParam;
  if (((flags & PRF_CHECKVISIBLE) == 0 || IsWindowVisible(FHandle)) && (flags & PRF_NONCLIENT))
    PaintWindowBorder(reinterpret_cast<HDC>(AMessage.WParam));
}

void TdxSkinCustomFormController::HandleSetText(rtl::TMessage& AMessage)
{
  rtl::TFreeWatch watch(this);
  DefWndProc(AMessage);
  if (watch.Freed())
    return;
  FViewInfo->UpdateFormCaption();
  if (GetUseSkin()) {
    RecalculateViewInfo();
    PaintWindowBorder(nullptr);
  }
}

void TdxSkinCustomFormController::HandleSize(rtl::TMessage& AMessage)
{
  if (FViewInfo->GetSizeType() == SIZE_MAXIMIZED)
    PostRedrawNC();
  FViewInfo->SetSizeType(static_cast<int>(AMessage.WParam));
  PostCheckRegion(FHandle, true);
}

void TdxSkinCustomFormController::HandleWindowPosChanged(rtl::TMessage& AMessage)
{
  const auto* pos = reinterpret_cast<const WINDOWPOS*>(AMessage.LParam);
  if (!pos)
    return;
  const bool movedWhileMaximized =
      (pos->flags & SWP_NOMOVE) == 0 && IsZoomed(FHandle) && IsWindowVisible(FHandle);
  if ((pos->flags & SWP_NOSIZE) == 0 || movedWhileMaximized) {
    if (movedWhileMaximized)
      cxApplyWindowFrameChange(FHandle, false);
    UpdateRegion(false);
  }
}

void TdxSkinCustomFormController::UpdateRegion(bool AForce)
{
  RecalculateViewInfo();
  if (!FViewInfo->HasBorder()) {
    ResetRegion(true);
    return;
  }
  vcl::TOwnedRegion region(CreateRectRgnIndirect(&FViewInfo->FWindowBounds));
  if (FViewInfo->IsZoomed() && !GetParent(FHandle)) {
    // A maximized form does not spill over to the next monitor.
    const TRect work = FViewInfo->ScreenToClient(FViewInfo->GetScreenRect());
    vcl::TOwnedRegion workRgn(CreateRectRgnIndirect(&work));
    CombineRgn(region.Get(), region.Get(), workRgn.Get(), RGN_AND);
  }
  if (!AForce) {
    vcl::TOwnedRegion current(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(FHandle, current.Get()) != ERROR) {
      vcl::TOwnedRegion difference(CreateRectRgn(0, 0, 0, 0));
      if (CombineRgn(difference.Get(), current.Get(), region.Get(), RGN_XOR) == NULLREGION)
        return;
    }
  }
  // The window owns the region from here on.
  if (SetWindowRgn(FHandle, region.Get(), TRUE))
    region.Release();
  FHasRegion = true;
}

void TdxSkinCustomFormController::ResetRegion(bool ARedraw)
{
  if (!FHasRegion)
    return;
  SetWindowRgn(FHandle, nullptr, FALSE);
  FHasRegion = false;
  if (ARedraw)
    PostRedrawNC();
}

void TdxSkinCustomFormController::AdaptMessageDialog()
{
  vcl::TCustomForm* form = GetForm();
  if (!form)
    return;
  const vcl::TColor color = FPainter->FormContentTextColor();
  for (int i = form->GetControlCount() - 1; i >= 0; --i) {
    auto* label = rtl::Is<vcl::TCustomLabel>(form->GetControls(i)) ? static_cast<vcl::TCustomLabel*>(form->GetControls(i))
                                                                   : nullptr;
    if (!label)
      continue;
    if (color != vcl::clDefault)
      label->GetFont()->SetColor(color);
    label->SetTransparent(true);
  }
}

void TdxSkinCustomFormController::Unhook()
{
  if (FHandle && IsHooked() && FViewInfo)
    FViewInfo->RebuildSystemMenu(GetSystemMenu(FHandle, FALSE));
  inherited::Unhook();
}

void __stdcall TdxSkinCustomFormController::MouseLeave()
{
  UpdateHotState(true);
  UpdateWindow(FHandle);
}

namespace {

// The client size a top-level window in its normal state keeps across a
// change of its frame; (-1, -1) for one that keeps none (a child, a
// minimized or maximized window, no window).
TSize dxSkinFormKeptClientSize(HWND AHandle)
{
  if (!AHandle || IsIconic(AHandle) || IsZoomed(AHandle) || (GetWindowLongW(AHandle, GWL_STYLE) & WS_CHILD))
    return {-1, -1};
  RECT client{};
  GetClientRect(AHandle, &client);
  return {client.right, client.bottom};
}

// A form is laid out for its client area: when the frame took or gave back
// room, the window's edges move instead of the client's.
void dxSkinFormRestoreClientSize(HWND AHandle, const TSize& AClientSize)
{
  if (AClientSize.cx < 0 || dxSkinFormKeptClientSize(AHandle).cx < 0)
    return;
  RECT client{};
  GetClientRect(AHandle, &client);
  const int dx = AClientSize.cx - client.right;
  const int dy = AClientSize.cy - client.bottom;
  if (dx == 0 && dy == 0)
    return;
  RECT window{};
  GetWindowRect(AHandle, &window);
  SetWindowPos(AHandle, nullptr, 0, 0, window.right - window.left + dx, window.bottom - window.top + dy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void TdxSkinCustomFormController::Refresh()
{
  const TSize clientSize = dxSkinFormKeptClientSize(FHandle);
  rtl::TFreeWatch watch(this);
  RefreshFrame();
  if (!watch.Freed())
    dxSkinFormRestoreClientSize(FHandle, clientSize);
}

void TdxSkinCustomFormController::RefreshFrame()
{
  inherited::Refresh();
  if (FPainter)
    FPainter->FlushCache();
  if (!FHandle)
    return;
  if (GetUseSkin()) {
    FViewInfo->SetSizeType(IsZoomed(FHandle) ? SIZE_MAXIMIZED : SIZE_RESTORED);
    FViewInfo->ResetSystemMenu();
    UpdateRegion(true);
  } else {
    ResetRegion(false);
  }
}

void TdxSkinCustomFormController::RefreshController()
{
  inherited::RefreshController();
  if (FViewInfo)
    FViewInfo->UpdateFormCaption();
}

bool TdxSkinCustomFormController::UpdateHotState(bool AForceRedraw)
{
  FScrollBarsController->MouseMove(MirrorForScrollBars(ClientCursorPos()));
  bool changed = FViewInfo->CalculateIconStates();
  const bool tracking = cxIsMouseTracking(this);
  TdxSkinFormIconInfo* hotIcon = FViewInfo->GetIconInfoList()->GetIconHot();
  if (hotIcon) {
    cxBeginMouseTracking(nullptr, FViewInfo->ClientToScreen(hotIcon->FHitBounds), this);
  } else if (TdxSkinFormScrollBarPartViewInfo* hotPart = FScrollBarsController->GetHotPart()) {
    cxBeginMouseTracking(nullptr, FViewInfo->ClientToScreen(hotPart->FBounds), this);
    changed = changed || !tracking;
  } else {
    changed = changed || tracking;
    cxEndMouseTracking(this);
  }
  if (AForceRedraw || changed)
    CalculateAndPaintBorder();
  return changed;
}

// ---------------------------------------------------------------------------
// Descendants

bool TdxSkinFormController::CanFreeOnDestroy()
{
  return !rtl::Is<TdxSkinForm>(GetForm());
}

TdxSkinLookAndFeelPainter* TdxSkinFormController::FindLookAndFeelPainter()
{
  return dxSkinControllers() ? dxSkinControllers()->CanSkinForm(GetForm()) : nullptr;
}

bool TdxSkinFormController::CalculateCanUseSkin()
{
  return TdxSkinFormHelper::CanUseSkin(GetForm());
}

TdxSkinWinController* TdxSkinFormMDIClientController::FindMaster()
{
  HWND frame = FHandle ? GetParent(FHandle) : nullptr;
  return frame && dxSkinnedControllers() ? dxSkinnedControllers()->GetControllerByHandle(frame) : nullptr;
}

bool TdxSkinFormMDIClientController::GetUseSkin()
{
  return inherited::GetUseSkin() && FMaster && FMaster->GetUseSkin();
}

void TdxSkinFrameController::PaintWindowBackground(HDC DC)
{
  if (!FWinControl || !FWinControl->GetParentBackground()) {
    inherited::PaintWindowBackground(DC);
    return;
  }
  FPainter->BeginPaint(DC);
  const rtl::Finally endPaint([&] { FPainter->EndPaint(); });
  cxPaintParentBackground(FWinControl, cxPaintCanvas(), FViewInfo->FClientBounds);
}

void TdxSkinFrameController::HandleWindowPosChanged(rtl::TMessage& AMessage)
{
  inherited::HandleWindowPosChanged(AMessage);
  const auto* pos = reinterpret_cast<const WINDOWPOS*>(AMessage.LParam);
  if (pos && FWinControl && FWinControl->GetParentBackground() &&
      (pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE))
    PostRedrawNC();
}

// ---------------------------------------------------------------------------
// TdxSkinForm

void TdxSkinForm::CreateWindowHandle(const vcl::TCreateParams& AParams)
{
  inherited::CreateWindowHandle(AParams);
  if (!HandleAllocated())
    return;
  FController = rtl::NewWith<TdxSkinFormController>([&](TdxSkinFormController* C) { C->CreateEx(this); });
  if (dxSkinnedControllers())
    dxSkinnedControllers()->Add(FController);
  FController->RefreshControllerAndUpdate();
}

void TdxSkinForm::DestroyWindowHandle()
{
  if (FController) {
    if (dxSkinnedControllers())
      dxSkinnedControllers()->Remove(FController);
    rtl::FreeAndNil(FController);
  }
  inherited::DestroyWindowHandle();
}

void TdxSkinForm::WndProc(rtl::TMessage& AMessage)
{
  if (AMessage.Msg == SKM_HASOWNENGINE) {
    AMessage.Result = 1;
    return;
  }
  if (FController && FController->GetHandle())
    FController->WndProc(AMessage);
  else
    inherited::WndProc(AMessage);
}
