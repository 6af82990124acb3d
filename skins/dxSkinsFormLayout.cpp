// The layout of a skinned frame: the thickness of each band, the caption and
// its font, the caption buttons, hit testing, the client offsets, the draw
// region and the system menu of the skinned caption.
#include <algorithm>
#include <cmath>

#include "controls/cxControls.h"
#include "controls/cxSystemMenu.h"
#include "controls/cxWindowUtils.h"
#include "controls/dxRightToLeftLayout.h"
#include "controls/dxSystemInfo.h"
#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "core/dxUxTheme.h"
#include "graphics/cxGraphicsColors.h"
#include "graphics/cxGraphicsControls.h"
#include "platform/vcl/GraphicsHandles.h"
#include "skins/dxSkinsForm.h"
#include "skins/dxSkinsLookAndFeelPainter.h"

namespace {

struct TdxSkinFormIconTraits {
  UINT Command;
  int HitTest;
};

constexpr TdxSkinFormIconTraits IconTraits[] = {
    {SC_DEFAULT, HTSYSMENU},      // sfiMenu
    {SC_CONTEXTHELP, HTHELP},     // sfiHelp
    {SC_MINIMIZE, HTMINBUTTON},   // sfiMinimize
    {SC_MAXIMIZE, HTMAXBUTTON},   // sfiMaximize
    {SC_RESTORE, HTMAXBUTTON},    // sfiRestore
    {SC_CLOSE, HTCLOSE},          // sfiClose
};

// The order the buttons take their places in: the menu icon from the left,
// the rest from the right.
constexpr TdxSkinFormIcon IconPlacementOrder[] = {TdxSkinFormIcon::sfiMenu,     TdxSkinFormIcon::sfiClose,
                                                  TdxSkinFormIcon::sfiMaximize, TdxSkinFormIcon::sfiRestore,
                                                  TdxSkinFormIcon::sfiMinimize, TdxSkinFormIcon::sfiHelp};

int SideIndex(TcxBorder ASide)
{
  return static_cast<int>(ASide);
}

bool IsRectEmptyOrNone(const TRect& R)
{
  return R.right <= R.left || R.bottom <= R.top;
}

bool PtInRectangle(const TRect& R, const TPoint& P)
{
  return P.x >= R.left && P.x < R.right && P.y >= R.top && P.y < R.bottom;
}

TRect CenteredBox(const TRect& ASlot, TSize ASize)
{
  const int left = ASlot.left + (ASlot.right - ASlot.left - ASize.cx) / 2;
  const int top = ASlot.top + (ASlot.bottom - ASlot.top - ASize.cy) / 2;
  return TRect(left, top, left + ASize.cx, top + ASize.cy);
}

// A fresh copy of the window's small icon at the small-icon size of the
// scale factor; 0 without an icon.
HICON CopyWindowIcon(HWND AWnd, const TdxScaleFactor* AScaleFactor)
{
  HICON icon = reinterpret_cast<HICON>(SendMessageW(AWnd, WM_GETICON, ICON_SMALL, 0));
  if (!icon)
    icon = reinterpret_cast<HICON>(SendMessageW(AWnd, WM_GETICON, ICON_BIG, 0));
  if (!icon)
    icon = reinterpret_cast<HICON>(GetClassLongPtrW(AWnd, GCLP_HICONSM));
  if (!icon)
    return nullptr;
  return static_cast<HICON>(CopyImage(icon, IMAGE_ICON, dxGetScaledSystemMetrics(SM_CXSMICON, AScaleFactor),
                                      dxGetScaledSystemMetrics(SM_CYSMICON, AScaleFactor), 0));
}

NONCLIENTMETRICSW ReadNonClientMetrics()
{
  if (TdxSystemInfo* info = cxGetSystemInfo())
    return info->GetNonClientMetrics();
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  return metrics;
}

}  // namespace

// ---------------------------------------------------------------------------
// TdxSkinFormIconInfo

void TdxSkinFormIconInfo::Create(TdxSkinFormIcon AType, TdxSkinFormIconInfoList* AOwner)
{
  inherited::Create();
  FIconType = AType;
  FOwner = AOwner;
  FState = TdxSkinElementState::esNormal;
}

UINT TdxSkinFormIconInfo::GetCommand() const
{
  return IconTraits[static_cast<int>(FIconType)].Command;
}

int TdxSkinFormIconInfo::GetHitTest() const
{
  return IconTraits[static_cast<int>(FIconType)].HitTest;
}

TdxSkinFormNonClientAreaInfo* TdxSkinFormIconInfo::GetNonClientAreaInfo() const
{
  return FOwner->GetNonClientAreaInfo();
}

bool TdxSkinFormIconInfo::GetEnabled() const
{
  TdxSkinFormNonClientAreaInfo* info = GetNonClientAreaInfo();
  switch (FIconType) {
    case TdxSkinFormIcon::sfiMinimize:
      return (info->FStyle & WS_MINIMIZEBOX) != 0;
    case TdxSkinFormIcon::sfiMaximize:
      return (info->FStyle & WS_MAXIMIZEBOX) != 0;
    case TdxSkinFormIcon::sfiClose: {
      // A missing item counts as enabled.
      HMENU menu = GetSystemMenu(info->GetHandle(), FALSE);
      const UINT state = menu ? GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) : UINT(-1);
      return state == UINT(-1) || (state & (MF_GRAYED | MF_DISABLED)) == 0;
    }
    default:
      return true;
  }
}

bool TdxSkinFormIconInfo::CalculateState()
{
  TdxSkinFormNonClientAreaInfo* info = GetNonClientAreaInfo();
  TdxSkinElementState state;
  if (FOwner->GetIconHot() != this || !GetEnabled())
    state = info->GetActive() ? TdxSkinElementState::esNormal : TdxSkinElementState::esActiveDisabled;
  else if (FOwner->GetIconPressed() == this && info->ButtonPressed())
    state = TdxSkinElementState::esPressed;
  else
    state = TdxSkinElementState::esHot;
  const bool changed = state != FState;
  FState = state;
  return changed;
}

// ---------------------------------------------------------------------------
// TdxSkinFormIconInfoList

void TdxSkinFormIconInfoList::Create(TdxSkinFormNonClientAreaInfo* ANonClientAreaInfo)
{
  inherited::Create(true);
  FNonClientAreaInfo = ANonClientAreaInfo;
}

TdxSkinFormIconInfo* TdxSkinFormIconInfoList::Add(TdxSkinFormIcon AIcon)
{
  TdxSkinFormIconInfo* info = nullptr;
  if (!Find(AIcon, info)) {
    info = rtl::New<TdxSkinFormIconInfo>(AIcon, this);
    inherited::Add(info);
  }
  return info;
}

bool TdxSkinFormIconInfoList::Find(TdxSkinFormIcon AIcon, TdxSkinFormIconInfo*& AInfo) const
{
  for (int i = 0; i < GetCount(); ++i)
    if (GetIcon(i)->FIconType == AIcon) {
      AInfo = GetIcon(i);
      return true;
    }
  return false;
}

TdxSkinFormIconInfo* TdxSkinFormIconInfoList::HitTest(const TPoint& P) const
{
  for (int i = 0; i < GetCount(); ++i)
    if (PtInRectangle(GetIcon(i)->FHitBounds, P))
      return GetIcon(i);
  return nullptr;
}

bool TdxSkinFormIconInfoList::CalculateStates(const TPoint& P)
{
  FIconHot = HitTest(P);
  bool changed = false;
  for (int i = 0; i < GetCount(); ++i)
    changed = GetIcon(i)->CalculateState() || changed;
  return changed;
}

void TdxSkinFormIconInfoList::MouseDown(const TPoint& P)
{
  FIconPressed = HitTest(P);
  CalculateStates(P);
}

void TdxSkinFormIconInfoList::MouseUp(const TPoint& P, TdxSkinFormIconInfo*& AIcon)
{
  AIcon = FIconPressed && FIconPressed == FIconHot ? FIconPressed : nullptr;
  FIconPressed = nullptr;
  CalculateStates(P);
}

void TdxSkinFormIconInfoList::Validate(TdxSkinFormIcons AIcons)
{
  for (int i = GetCount() - 1; i >= 0; --i) {
    TdxSkinFormIconInfo* icon = GetIcon(i);
    if (AIcons.Contains(icon->FIconType))
      continue;
    if (FIconHot == icon)
      FIconHot = nullptr;
    if (FIconPressed == icon)
      FIconPressed = nullptr;
    FreeAndDelete(i);
  }
}

// ---------------------------------------------------------------------------
// TdxSkinFormNonClientAreaInfo

void TdxSkinFormNonClientAreaInfo::Create(TdxSkinCustomFormController* AController)
{
  inherited::Create();
  FController = AController;
  FCaptionFont = rtl::New<vcl::TFont>();
  FIconInfoList = rtl::New<TdxSkinFormIconInfoList>(this);
  UpdateFormCaption();
  FActive = true;
}

void TdxSkinFormNonClientAreaInfo::Destroy()
{
  if (FSystemMenu)
    DestroyMenu(FSystemMenu);
  vcl::DeleteAndNil(FUpdateRgn);
  vcl::TOwnedIcon{FSysMenuIcon}.Reset();
  FSysMenuIcon = nullptr;
  rtl::FreeAndNil(FCaptionFont);
  rtl::FreeAndNil(FIconInfoList);
  inherited::Destroy();
}

HWND TdxSkinFormNonClientAreaInfo::GetHandle() const
{
  return FController->GetHandle();
}

TdxScaleFactor* TdxSkinFormNonClientAreaInfo::GetScaleFactor() const
{
  return FController->GetScaleFactor();
}

TdxSkinFormScrollBarsController* TdxSkinFormNonClientAreaInfo::GetScrollBarsController() const
{
  return FController->GetScrollBarsController();
}

void TdxSkinFormNonClientAreaInfo::Calculate()
{
  const HWND handle = GetHandle();
  FIsMDIChild = TdxSkinWinController::IsMDIChildWindow(handle);
  FIsMDIClient = TdxSkinWinController::IsMDIClientWindow(handle);
  FHasMenu = IsMenu(GetMenu(handle)) && !FIsMDIChild;
  FPainter = FController->GetLookAndFeelPainter();
  FPainterInfo = FPainter ? FPainter->SkinInfo() : nullptr;
  CalculateSizeFrame();
  CalculateBounds();
  CalculateCaptionFont();
  CalculateBorderWidths();
  CalculateBorderBounds();
  CalculateIcons();
  CalculateScrollBars();
}

void TdxSkinFormNonClientAreaInfo::UpdateFormCaption()
{
  vcl::TWinControl* control = FController->GetWinControl();
  FCaption = control ? control->GetText() : cxReadWindowText(GetHandle());
  if (FIsMDIChild && dxSkinEngineHelper())
    dxSkinEngineHelper()->ChildChanged(GetHandle());
}

bool TdxSkinFormNonClientAreaInfo::HasBorder()
{
  if (FStyle & WS_BORDER)
    return true;
  return FIsMDIChild && SendMessageW(GetHandle(), SKM_NOBORDER, 0, 0) == 0;
}

bool TdxSkinFormNonClientAreaInfo::ThemeActive()
{
  if (!FThemeActiveAssigned) {
    FThemeActive = dxUxIsThemeActive();
    FThemeActiveAssigned = true;
  }
  return FThemeActive;
}

bool TdxSkinFormNonClientAreaInfo::UseSystemFrameMetrics(bool AConsiderZoomed)
{
  return (IsZoomed() && (AConsiderZoomed || FIsMDIChild)) || FHasMenu || FIsMDIClient || !ThemeActive() ||
         IsIconic();
}

bool TdxSkinFormNonClientAreaInfo::NeedCheckNonClientSize()
{
  return HasBorder() && !UseSystemFrameMetrics(false) && !(IsZoomed() && FIsMDIChild);
}

TdxSkinElement* TdxSkinFormNonClientAreaInfo::GetFrameElement(TcxBorder ASide) const
{
  return FPainterInfo ? FPainterInfo->FormFrames[ToolWindow() ? 0 : 1][SideIndex(ASide)] : nullptr;
}

TdxSkinElement* TdxSkinFormNonClientAreaInfo::GetIconElement(TdxSkinFormIcon AIcon) const
{
  return FPainterInfo ? FPainterInfo->FormIcons[ToolWindow() ? 0 : 1][static_cast<int>(AIcon)] : nullptr;
}

TdxSkinElement* TdxSkinFormNonClientAreaInfo::CaptionElement() const
{
  return GetFrameElement(TcxBorder::bTop);
}

int TdxSkinFormNonClientAreaInfo::GetSkinBorderWidth(TcxBorder ASide)
{
  TdxSkinElement* element = GetFrameElement(ASide);
  if (!element)
    return 0;
  const TSize size = element->GetSize();
  const TSize minSize = element->GetMinSize() ? element->GetMinSize()->GetSize() : TSize{};
  const bool horizontal = ASide == TcxBorder::bLeft || ASide == TcxBorder::bRight;
  const int width = horizontal ? std::max(size.cx, minSize.cx) : std::max(size.cy, minSize.cy);
  return GetScaleFactor()->Apply(width);
}

TSize TdxSkinFormNonClientAreaInfo::SystemSizeFrame()
{
  if (!HasBorder())
    return TSize{};
  TSize result{GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME)};
  if (!IsSizeBox()) {
    const int border = ReadNonClientMetrics().iBorderWidth;
    result.cx -= border;
    result.cy -= border;
  }
  return result;
}

TRect TdxSkinFormNonClientAreaInfo::SystemBorderWidths()
{
  const TSize frame = SystemSizeFrame();
  TRect result(frame.cx, frame.cy, frame.cx, frame.cy);
  if (HasCaption())
    result.top += GetSystemMetrics(ToolWindow() ? SM_CYSMCAPTION : SM_CYCAPTION);
  return result;
}

TSize TdxSkinFormNonClientAreaInfo::GetSysMenuIconSize(bool AToolWindow)
{
  const TdxScaleFactor* scale = GetScaleFactor();
  const int side = AToolWindow
                       ? dxGetScaledSystemMetrics(SM_CYSMCAPTION, scale) - 2 * dxGetScaledSystemMetrics(SM_CYEDGE, scale)
                       : dxGetScaledSystemMetrics(SM_CYSMICON, scale);
  return TSize{side, side};
}

int TdxSkinFormNonClientAreaInfo::GetCaptionTextHeight()
{
  return cxGetFontTextHeight(FCaptionFont);
}

int TdxSkinFormNonClientAreaInfo::GetMaxIconHeight()
{
  int result = GetSysMenuIconSize(ToolWindow()).cy;
  for (int i = static_cast<int>(TdxSkinFormIcon::sfiHelp); i < rtl::EnumCount<TdxSkinFormIcon>(); ++i)
    if (TdxSkinElement* element = GetIconElement(static_cast<TdxSkinFormIcon>(i)))
      result = std::max<int>(result, dxSkinElementScaledMinSize(element, GetScaleFactor()).cy);
  return result;
}

int TdxSkinFormNonClientAreaInfo::GetCaptionContentHeight()
{
  return std::max(GetMaxIconHeight(), GetCaptionTextHeight());
}

TRect TdxSkinFormNonClientAreaInfo::GetCaptionContentOffsets()
{
  TdxSkinElement* caption = CaptionElement();
  TRect result = caption && caption->GetContentOffset() ? GetScaleFactor()->Apply(caption->GetContentOffset()->GetRect())
                                                        : TRect{};
  if (FSuppressed && HasCaption()) {
    const float factor = SuppressFactor();
    result = TRect(static_cast<int>(result.left / factor), static_cast<int>(result.top / factor),
                   static_cast<int>(result.right / factor), static_cast<int>(result.bottom / factor));
  }
  if (IsZoomed()) {
    const int top = std::max<int>(result.top, FSizeFrame.cy);
    result.left = std::max<int>(result.left, FSizeFrame.cx);
    result.right = std::max<int>(result.right, FSizeFrame.cx);
    result.bottom = std::max<int>(0, result.bottom + result.top - top);
    result.top = top;
  }
  return result;
}

float TdxSkinFormNonClientAreaInfo::SuppressFactor()
{
  if (!HasCaption() || !FSuppressed)
    return 1.0f;
  const int room = CalculateCaptionHeight() - GetCaptionContentHeight();
  if (room < 1)
    return 1.0f;
  TdxSkinElement* caption = CaptionElement();
  const TRect offsets = caption && caption->GetContentOffset()
                            ? GetScaleFactor()->Apply(caption->GetContentOffset()->GetRect())
                            : TRect{};
  return static_cast<float>(std::max<int>(1, offsets.top + offsets.bottom)) / static_cast<float>(room);
}

void TdxSkinFormNonClientAreaInfo::CalculateSizeFrame()
{
  const HWND handle = GetHandle();
  FStyle = GetWindowLongW(handle, GWL_STYLE);
  FExStyle = GetWindowLongW(handle, GWL_EXSTYLE);
  FClientEdgeSize = HasClientEdge() ? TSize{GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE)} : TSize{};
  FSizeFrame = HasBorder() ? TSize{GetSkinBorderWidth(TcxBorder::bRight), GetSkinBorderWidth(TcxBorder::bBottom)}
                           : TSize{};
  FSuppressed = UseSystemFrameMetrics(true);
  if (FSuppressed) {
    const TSize system = SystemSizeFrame();
    FSizeFrame.cx = std::min<int>(FSizeFrame.cx, system.cx);
    FSizeFrame.cy = std::min<int>(FSizeFrame.cy, system.cy);
  }
}

void TdxSkinFormNonClientAreaInfo::CalculateBounds()
{
  const HWND handle = GetHandle();
  FStyle = GetWindowLongW(handle, GWL_STYLE);
  FExStyle = GetWindowLongW(handle, GWL_EXSTYLE);
  FRightToLeftLayout = (FExStyle & WS_EX_LAYOUTRTL) != 0;
  RECT client{};
  GetClientRect(handle, &client);
  POINT origin{0, 0};
  ::ClientToScreen(handle, &origin);
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  FClientRect = FRightToLeftLayout ? TRect(origin.x - width, origin.y, origin.x, origin.y + height)
                                   : TRect(origin.x, origin.y, origin.x + width, origin.y + height);
  RECT window{};
  GetWindowRect(handle, &window);
  FWindowRect = window;
  FClientOffset = TdxSkinFormHelper::GetClientOffset(handle);
  FClientBounds = ScreenToClient(FClientRect);
  FWindowBounds = TRect(0, 0, FWindowRect.right - FWindowRect.left, FWindowRect.bottom - FWindowRect.top);
  if (UseSystemFrameMetrics(true) && !IsIconic()) {
    // The region cuts off the part of the system frame the skin's is
    // thinner by.
    const TSize system = SystemSizeFrame();
    const int dx = std::min<int>(0, FSizeFrame.cx - system.cx);
    const int dy = std::min<int>(0, FSizeFrame.cy - system.cy);
    FWindowBounds = TRect(FWindowBounds.left - dx, FWindowBounds.top - dy, FWindowBounds.right + dx,
                          FWindowBounds.bottom + dy);
  }
  vcl::TOwnedIcon{FSysMenuIcon}.Reset();
  FSysMenuIcon = CopyWindowIcon(handle, GetScaleFactor());
  FMenuBarHeight = CalculateMenuBarHeight();
}

int TdxSkinFormNonClientAreaInfo::CalculateMenuBarHeight()
{
  HMENU menu = FHasMenu ? GetMenu(GetHandle()) : nullptr;
  const int count = menu ? GetMenuItemCount(menu) : 0;
  if (count <= 0)
    return 0;
  RECT first{};
  RECT last{};
  if (!GetMenuItemRect(GetHandle(), menu, 0, &first) || !GetMenuItemRect(GetHandle(), menu, count - 1, &last))
    return 0;
  return last.bottom - first.top;
}

void TdxSkinFormNonClientAreaInfo::CalculateCaptionFont()
{
  const NONCLIENTMETRICSW metrics = ReadNonClientMetrics();
  FCaptionFont->SetHandle(CreateFontIndirectW(ToolWindow() ? &metrics.lfSmCaptionFont : &metrics.lfCaptionFont));
  if (FPainterInfo && !ToolWindow()) {
    FCaptionFont->SetSize(FCaptionFont->GetSize() + FPainterInfo->FormCaptionFontDelta - 1);
    if (FPainterInfo->FormCaptionFontIsBold && FPainterInfo->FormCaptionFontIsBold->GetValue())
      FCaptionFont->SetStyle(vcl::TFontStyles(FCaptionFont->GetStyle()).Include(vcl::TFontStyle::fsBold));
  }
  FCaptionFont->SetHeight(GetScaleFactor()->Apply(FCaptionFont->GetHeight(), dxGetSystemScaleFactor()));

  FCaptionTextShadowColor = vcl::clBtnShadow;
  FCaptionTextColor[1] = static_cast<vcl::TColor>(GetSysColor(COLOR_CAPTIONTEXT));
  FCaptionTextColor[0] = static_cast<vcl::TColor>(GetSysColor(COLOR_INACTIVECAPTIONTEXT));
  if (FPainterInfo) {
    TdxSkinElement* caption = FPainterInfo->FormFrames[1][SideIndex(TcxBorder::bTop)];
    if (caption)
      FCaptionTextColor[1] = caption->GetTextColor();
    if (FPainterInfo->FormTextShadowColor)
      FCaptionTextShadowColor = FPainterInfo->FormTextShadowColor->GetValue();
    FCaptionTextColor[0] =
        FPainterInfo->FormInactiveColor ? FPainterInfo->FormInactiveColor->GetValue() : FCaptionTextColor[1];
  }
}

bool TdxSkinFormNonClientAreaInfo::HasCaptionTextShadow() const
{
  return FActive && !ToolWindow() && cxIsColorAssigned(FCaptionTextShadowColor);
}

int TdxSkinFormNonClientAreaInfo::CalculateCaptionHeight()
{
  if (!HasCaption())
    return HasBorder() ? GetSkinBorderWidth(TcxBorder::bBottom) : 0;
  const int systemHeight = SystemBorderWidths().top - FWindowBounds.top;
  if (UseSystemFrameMetrics(false))
    return systemHeight;
  TdxSkinElement* caption = CaptionElement();
  const TRect offsets = caption && caption->GetContentOffset()
                            ? GetScaleFactor()->Apply(caption->GetContentOffset()->GetRect())
                            : TRect{};
  int result = offsets.top + offsets.bottom + GetCaptionContentHeight();
  if (IsZoomed())
    result = std::max(result, systemHeight);
  return result;
}

void TdxSkinFormNonClientAreaInfo::CalculateBorderWidths()
{
  FBorderWidths = TRect{};
  FMenuSeparatorBounds = TRect{};
  if (IsIconic()) {
    FBorderWidths.top = FWindowBounds.bottom - FWindowBounds.top;
    return;
  }
  if (HasBorder()) {
    const bool capped = UseSystemFrameMetrics(true);
    const TRect system = capped ? SystemBorderWidths() : TRect{};
    FBorderWidths.left = GetSkinBorderWidth(TcxBorder::bLeft);
    FBorderWidths.right = GetSkinBorderWidth(TcxBorder::bRight);
    FBorderWidths.bottom = GetSkinBorderWidth(TcxBorder::bBottom);
    if (capped) {
      FBorderWidths.left = std::min<int>(FBorderWidths.left, system.left);
      FBorderWidths.right = std::min<int>(FBorderWidths.right, system.right);
      FBorderWidths.bottom = std::min<int>(FBorderWidths.bottom, system.bottom);
    }
  }
  FBorderWidths.top = CalculateCaptionHeight();
  if (FHasMenu) {
    const int top = FWindowBounds.top + FBorderWidths.top;
    FMenuSeparatorBounds =
        TRect(FWindowBounds.left + FBorderWidths.left, top, FWindowBounds.right - FBorderWidths.right, top + 1);
  }
}

void TdxSkinFormNonClientAreaInfo::CalculateBorderBounds()
{
  const TRect& w = FWindowBounds;
  FBorderBounds[SideIndex(TcxBorder::bLeft)] = TRect(w.left, w.top, w.left + FBorderWidths.left, w.bottom);
  FBorderBounds[SideIndex(TcxBorder::bTop)] = TRect(w.left, w.top, w.right, w.top + FBorderWidths.top);
  FBorderBounds[SideIndex(TcxBorder::bRight)] = TRect(w.right - FBorderWidths.right, w.top, w.right, w.bottom);
  FBorderBounds[SideIndex(TcxBorder::bBottom)] = TRect(w.left, w.bottom - FBorderWidths.bottom, w.right, w.bottom);
}

TdxSkinFormIcons TdxSkinFormNonClientAreaInfo::GetIcons()
{
  TdxSkinFormIcons result;
  if (!HasCaption())
    return result;
  if (FStyle & WS_SYSMENU) {
    if (!ToolWindow() && !IsDialog())
      result.Include(TdxSkinFormIcon::sfiMenu);
    result.Include(TdxSkinFormIcon::sfiClose);
  }
  if (FStyle & WS_MINIMIZEBOX)
    result.Include(IsIconic() ? TdxSkinFormIcon::sfiRestore : TdxSkinFormIcon::sfiMinimize);
  if (FStyle & WS_MAXIMIZEBOX)
    result.Include(IsZoomed() ? TdxSkinFormIcon::sfiRestore : TdxSkinFormIcon::sfiMaximize);
  if ((FExStyle & WS_EX_CONTEXTHELP) &&
      (IsDialog() ||
       !(result.Contains(TdxSkinFormIcon::sfiMinimize) || result.Contains(TdxSkinFormIcon::sfiMaximize))))
    result.Include(TdxSkinFormIcon::sfiHelp);
  return result;
}

TSize TdxSkinFormNonClientAreaInfo::GetCaptionButtonSize(const TRect& AArea, TdxSkinElement* AElement)
{
  const int height = AArea.bottom - AArea.top;
  if (IsIconic())
    return TSize{height, height};
  return TdxSkinElementHelper::CalculateCaptionButtonSize(height, AElement);
}

void TdxSkinFormNonClientAreaInfo::CalculateIcons()
{
  const float factor = FSuppressed ? SuppressFactor() : 1.0f;
  TRect offsets = GetCaptionContentOffsets();
  offsets.left = static_cast<int>(GetSkinBorderWidth(TcxBorder::bLeft) / factor);
  const TRect& caption = FBorderBounds[SideIndex(TcxBorder::bTop)];
  TRect area(caption.left + offsets.left, caption.top + offsets.top, caption.right - offsets.right,
             caption.bottom - offsets.bottom);
  if (ToolWindow())
    ++area.top;
  area.left += GetScaleFactor()->Apply(2);

  const TdxSkinFormIcons icons = GetIcons();
  FIconInfoList->Validate(icons);
  const TSize systemFrame = SystemSizeFrame();
  for (TdxSkinFormIcon type : IconPlacementOrder) {
    if (!icons.Contains(type))
      continue;
    TdxSkinFormIconInfo* icon = FIconInfoList->Add(type);
    TRect slot;
    TSize size;
    if (type == TdxSkinFormIcon::sfiMenu) {
      size = GetSysMenuIconSize(ToolWindow());
      slot = TRect(area.left, area.top, area.left + size.cx, area.bottom);
      area.left = slot.right;
    } else {
      size = GetCaptionButtonSize(area, GetIconElement(type));
      slot = TRect(area.right - size.cx, area.top, area.right, area.bottom);
      area.right = slot.left - GetScaleFactor()->Apply(2);
    }
    icon->FHitBounds = slot;
    icon->FBounds = CenteredBox(slot, size);
    if (IsZoomed()) {
      icon->FHitBounds.top = std::min<int>(icon->FHitBounds.top, systemFrame.cy);
      if (type == TdxSkinFormIcon::sfiMenu)
        icon->FHitBounds.left = std::min<int>(icon->FHitBounds.left, systemFrame.cx);
      if (type == TdxSkinFormIcon::sfiClose)
        icon->FHitBounds.right = std::max<int>(icon->FHitBounds.right, FWindowBounds.right - systemFrame.cx);
    }
    if (FRightToLeftLayout) {
      const TRect window(0, 0, FWindowRect.right - FWindowRect.left, FWindowRect.bottom - FWindowRect.top);
      icon->FHitBounds = TdxRightToLeftLayoutConverter::ConvertRect(icon->FHitBounds, window);
      icon->FBounds = TdxRightToLeftLayoutConverter::ConvertRect(icon->FBounds, window);
    }
  }
  if (HasCaption()) {
    const TRect margins = GetScaleFactor()->Apply(TRect(5, 0, 5, 0));
    TRect text(area.left + margins.left, area.top, area.right - margins.right, area.bottom);
    const int textHeight = GetCaptionTextHeight();
    text.top = area.top + (area.bottom - area.top - textHeight) / 2;
    text.bottom = text.top + textHeight;
    FCaptionTextBounds = text;
  } else {
    FCaptionTextBounds = TRect{};
  }
  FIconInfoList->CalculateStates(GetClientCursorPos());
}

void TdxSkinFormNonClientAreaInfo::CalculateScrollBars()
{
  if (TdxSkinFormScrollBarsController* scrollBars = GetScrollBarsController())
    scrollBars->CalculateScrollArea();
}

TRect TdxSkinFormNonClientAreaInfo::GetClientAreaOffsets()
{
  TRect result(FBorderWidths.left + FClientOffset, FBorderWidths.top + FClientOffset,
               FBorderWidths.right + FClientOffset, FBorderWidths.bottom + FClientOffset);
  if (TdxSkinFormScrollBarsController* scrollBars = GetScrollBarsController()) {
    if (scrollBars->GetScrollBarViewInfo(TScrollBarKind::sbVertical)->FVisible)
      result.right += GetSystemMetrics(SM_CXVSCROLL);
    if (scrollBars->GetScrollBarViewInfo(TScrollBarKind::sbHorizontal)->FVisible)
      result.bottom += GetSystemMetrics(SM_CYHSCROLL);
  }
  if (IsZoomed() && IsSizeBox()) {
    const TSize system = SystemSizeFrame();
    result.left += system.cx - FSizeFrame.cx;
    result.right += system.cx - FSizeFrame.cx;
    result.top += system.cy - FSizeFrame.cy;
    result.bottom += system.cy - FSizeFrame.cy;
  }
  if (FRightToLeftLayout)
    std::swap(result.left, result.right);
  return result;
}

TRect TdxSkinFormNonClientAreaInfo::GetSizeCorners(int ACorner)
{
  const TRect& w = FWindowBounds;
  const int width = std::max<int>(GetScaleFactor()->Apply(6), FSizeFrame.cx);
  const int height = std::max<int>(GetScaleFactor()->Apply(6), FSizeFrame.cy);
  const int captionBottom = w.top + FBorderWidths.top;
  switch (ACorner) {
    case 0:  // top-left
      return TRect(w.left, w.top, w.left + width, captionBottom);
    case 1:  // top-right
      return TRect(w.right - width, w.top, w.right, captionBottom);
    case 2:  // bottom-left
      return TRect(w.left, w.bottom - height, w.left + width, w.bottom);
    default:  // bottom-right
      return TRect(w.right - width, w.bottom - height, w.right, w.bottom);
  }
}

TRect TdxSkinFormNonClientAreaInfo::GetSizeArea(TcxBorder ASide)
{
  const TRect& w = FWindowBounds;
  const int cx = std::max<int>(FSizeFrame.cx, GetScaleFactor()->Apply(6));
  const int cy = std::max<int>(FSizeFrame.cy, GetScaleFactor()->Apply(6));
  const int belowCaption = w.top + FBorderWidths.top;
  switch (ASide) {
    case TcxBorder::bLeft:
      return TRect(w.left, belowCaption, w.left + cx, w.bottom);
    case TcxBorder::bTop:
      return TRect(w.left, w.top, w.right, w.top + cy);
    case TcxBorder::bRight:
      return TRect(w.right - cx, belowCaption, w.right, w.bottom);
    default:
      return TRect(w.left, w.bottom - cy, w.right, w.bottom);
  }
}

int TdxSkinFormNonClientAreaInfo::GetHitTest(const TPoint& P, int AHitTest)
{
  const TPoint point = ScreenToClient(P);
  if (IsSizeBox() && !IsZoomed() && !IsIconic()) {
    static constexpr int CornerCodes[] = {HTTOPLEFT, HTTOPRIGHT, HTBOTTOMLEFT, HTBOTTOMRIGHT};
    for (int corner = 0; corner < 4 && AHitTest == 0; ++corner)
      if (PtInRectangle(GetSizeCorners(corner), point))
        AHitTest = CornerCodes[corner];
    static constexpr std::pair<TcxBorder, int> SideCodes[] = {{TcxBorder::bLeft, HTLEFT},
                                                              {TcxBorder::bTop, HTTOP},
                                                              {TcxBorder::bRight, HTRIGHT},
                                                              {TcxBorder::bBottom, HTBOTTOM}};
    for (const auto& [side, code] : SideCodes)
      if (AHitTest == 0 && PtInRectangle(GetSizeArea(side), point))
        AHitTest = code;
  }
  if (TdxSkinFormIconInfo* icon = FIconInfoList->HitTest(point))
    AHitTest = icon->GetHitTest();
  if (AHitTest != 0)
    return AHitTest;
  if (PtInRectangle(FBorderBounds[SideIndex(TcxBorder::bTop)], point))
    return HTCAPTION;
  return AHitTest;
}

HRGN TdxSkinFormNonClientAreaInfo::CreateClientEdgeRgn()
{
  const TRect window = ClientToScreen(FWindowBounds);
  HRGN result = CreateRectRgnIndirect(&window);
  const TRect inner(window.left + FClientEdgeSize.cx, window.top + FClientEdgeSize.cy,
                    window.right - FClientEdgeSize.cx, window.bottom - FClientEdgeSize.cy);
  vcl::TOwnedRegion innerRgn(CreateRectRgnIndirect(&inner));
  CombineRgn(result, result, innerRgn.Get(), RGN_DIFF);
  return result;
}

HRGN TdxSkinFormNonClientAreaInfo::CreateDrawRgn()
{
  HRGN result = CreateRectRgn(0, 0, 0, 0);
  auto addRect = [&](const TRect& R) {
    if (IsRectEmptyOrNone(R))
      return;
    const TRect screen = ClientToScreen(R);
    vcl::TOwnedRegion part(CreateRectRgnIndirect(&screen));
    CombineRgn(result, result, part.Get(), RGN_OR);
  };
  for (const TRect& band : FBorderBounds)
    addRect(band);
  if (FIsMDIClient) {
    vcl::TOwnedRegion edge(CreateClientEdgeRgn());
    CombineRgn(result, result, edge.Get(), RGN_OR);
  }
  if (FHasMenu)
    addRect(FMenuSeparatorBounds);
  if (TdxSkinFormScrollBarsController* scrollBars = GetScrollBarsController()) {
    // The scroll bars add their bounds in window coordinates: move them.
    vcl::TOwnedRegion bars(CreateRectRgn(0, 0, 0, 0));
    scrollBars->CalculateDrawRegion(bars.Get());
    OffsetRgn(bars.Get(), FWindowRect.left, FWindowRect.top);
    CombineRgn(result, result, bars.Get(), RGN_OR);
  }
  return result;
}

void TdxSkinFormNonClientAreaInfo::SetActive(bool AValue)
{
  if (FActive == AValue)
    return;
  FActive = AValue;
  CalculateIconStates();
}

void TdxSkinFormNonClientAreaInfo::SetSizeType(int AValue)
{
  if (FSizeType == AValue)
    return;
  if (FSizeType == SIZE_MAXIMIZED) {
    if (FIsMDIChild)
      ResetSystemMenu();
    FController->UpdateRegion(false);
  }
  FSizeType = AValue;
}

void TdxSkinFormNonClientAreaInfo::SetUpdateRgn(HRGN AValue)
{
  vcl::DeleteAndNil(FUpdateRgn);
  FUpdateRgn = AValue;
  if (FUpdateRgn)
    OffsetRgn(FUpdateRgn, -FWindowRect.left, -FWindowRect.top);
}

bool TdxSkinFormNonClientAreaInfo::ButtonPressed() const
{
  const int button = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
  return (GetAsyncKeyState(button) & 0x8000) != 0;
}

TRect TdxSkinFormNonClientAreaInfo::ContentRect() const
{
  return TRect(FWindowBounds.left + FBorderWidths.left, FWindowBounds.top + FBorderWidths.top,
               FWindowBounds.right - FBorderWidths.right, FWindowBounds.bottom - FBorderWidths.bottom);
}

TPoint TdxSkinFormNonClientAreaInfo::GetClientCursorPos() const
{
  POINT cursor{};
  GetCursorPos(&cursor);
  return ScreenToClient(TPoint(cursor.x, cursor.y));
}

bool TdxSkinFormNonClientAreaInfo::HasScrollsArea() const
{
  TdxSkinFormScrollBarsController* scrollBars = GetScrollBarsController();
  return scrollBars && scrollBars->HasScrollBars();
}

bool TdxSkinFormNonClientAreaInfo::IsAlphaBlendUsed() const
{
  return TdxSkinFormHelper::IsAlphaBlendUsed(GetHandle());
}

vcl::TWindowState TdxSkinFormNonClientAreaInfo::WindowState() const
{
  if (IsIconic())
    return vcl::TWindowState::wsMinimized;
  return IsZoomed() ? vcl::TWindowState::wsMaximized : vcl::TWindowState::wsNormal;
}

TRect TdxSkinFormNonClientAreaInfo::GetScreenRect() const
{
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoW(MonitorFromWindow(GetHandle(), MONITOR_DEFAULTTONEAREST), &info);
  return info.rcWork;
}

TRect TdxSkinFormNonClientAreaInfo::ClientToScreen(const TRect& R) const
{
  return TRect(R.left + FWindowRect.left, R.top + FWindowRect.top, R.right + FWindowRect.left,
               R.bottom + FWindowRect.top);
}

TRect TdxSkinFormNonClientAreaInfo::ScreenToClient(const TRect& R) const
{
  return TRect(R.left - FWindowRect.left, R.top - FWindowRect.top, R.right - FWindowRect.left,
               R.bottom - FWindowRect.top);
}

// ---------------------------------------------------------------------------
// The system menu

void TdxSkinFormNonClientAreaInfo::LoadSystemMenuTemplate()
{
  if (FSystemMenu)
    DestroyMenu(FSystemMenu);
  FSystemMenu = cxLoadSystemMenuTemplate(FIsMDIChild ? 1 : 0);
}

void TdxSkinFormNonClientAreaInfo::RebuildSystemMenu(HMENU ASysMenu)
{
  LoadSystemMenuTemplate();
  // Without a template (none under the numeric ids nor the names) the
  // window's own menu stays as it is rather than losing its first item.
  HMENU source = FSystemMenu ? GetSubMenu(FSystemMenu, 0) : nullptr;
  if (source && ASysMenu) {
    DeleteMenu(ASysMenu, 0, MF_BYPOSITION);
    cxCopyMenuItems(source, ASysMenu);
  }
  AdjustSystemMenu(ASysMenu);
}

void TdxSkinFormNonClientAreaInfo::AdjustSystemMenu(HMENU ASysMenu)
{
  if (!ASysMenu || !HasBorder())
    return;
  vcl::TBorderIcons icons;
  if (FStyle & WS_SYSMENU)
    icons.Include(vcl::TBorderIcon::biSystemMenu);
  if (FStyle & WS_MINIMIZEBOX)
    icons.Include(vcl::TBorderIcon::biMinimize);
  if (FStyle & WS_MAXIMIZEBOX)
    icons.Include(vcl::TBorderIcon::biMaximize);
  if (FExStyle & WS_EX_CONTEXTHELP)
    icons.Include(vcl::TBorderIcon::biHelp);
  cxAdjustSkinnedSystemMenu(ASysMenu, GetHandle(), IsDialog(), icons, WindowState(), false);
}

void TdxSkinFormNonClientAreaInfo::ResetSystemMenu()
{
  GetSystemMenu(GetHandle(), TRUE);
  if (FIsMDIChild)
    RebuildSystemMenu(GetSystemMenu(GetHandle(), FALSE));
}
