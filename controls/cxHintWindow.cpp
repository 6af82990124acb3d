#include "controls/cxHintWindow.h"

#include <algorithm>

#include "controls/cxControls.h"
#include "controls/cxHint.h"
#include "controls/cxWindowUtils.h"
#include "controls/dxSystemInfo.h"
#include "core/cxClasses.h"
#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphics.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "platform/vcl/GraphicsHandles.h"

// ---------------------------------------------------------------------------
// Animation

DWORD cxHintAnimationFlags(TcxHintAnimationStyle AStyle)
{
  using enum TcxHintAnimationStyle;
  DWORD flags = AW_SLIDE;
  switch (AStyle) {
    case cxhaSlideFromLeft:
      flags |= AW_HOR_POSITIVE;
      break;
    case cxhaSlideFromRight:
      flags |= AW_HOR_NEGATIVE;
      break;
    case cxhaSlideDownward:
      flags |= AW_VER_POSITIVE;
      break;
    case cxhaSlideUpward:
      flags |= AW_VER_NEGATIVE;
      break;
    case cxhaSlideFromCenter:
      flags |= AW_CENTER;
      break;
    case cxhaHide:
      flags |= AW_HIDE;
      break;
    case cxhaActivate:
      flags |= AW_ACTIVATE;
      break;
    case cxhaFadeIn:
      flags |= AW_BLEND;
      break;
    default:
      break;
  }
  return flags;
}

TcxHintAnimationStyle cxHintAnimationStyleInForce(TcxHintAnimationStyle AStyle, bool ATooltipAnimation,
                                                  bool ATooltipFade)
{
  using enum TcxHintAnimationStyle;
  if (AStyle == cxhaNone || !ATooltipAnimation)
    return cxhaNone;
  if (AStyle == cxhaAuto)
    return ATooltipFade ? cxhaFadeIn : cxhaSlideDownward;
  return AStyle;
}

bool cxHintCanAnimate(DWORD ANow, DWORD ALastActive, int ATextLength)
{
  return ANow - ALastActive > 250 && ATextLength < 100;
}

// ---------------------------------------------------------------------------
// TcxBaseHintWindow

void TcxBaseHintWindow::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FActivating = false;
  FAnimationStyle = TcxHintAnimationStyle::cxhaAuto;
  FAnimationDelay = 100;
  FBorderStyle = vcl::TBorderStyle::bsNone;
  FcxCanvas = rtl::New<TcxCanvas>(GetCanvas());
  FHasAnimation = false;
  FHintAreaBounds = {};
  FLastActive = 0;
  FNeedEraseBackground = false;
  FUseMousePos = false;
  FStandardHint = false;
}

void TcxBaseHintWindow::Destroy()
{
  rtl::Free(FcxCanvas);
  FcxCanvas = nullptr;
  inherited::Destroy();
}

void TcxBaseHintWindow::CreateParams(vcl::TCreateParams& AParams)
{
  inherited::CreateParams(AParams);
  if (FStandardHint)
    return;
  if (FBorderStyle == vcl::TBorderStyle::bsNone)
    AParams.Style &= ~WS_BORDER;
  AParams.ExStyle |= WS_EX_TOPMOST;
}

void TcxBaseHintWindow::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
  const TRect area = cxGetWorkAreaAtPoint({ALeft, ATop});
  ALeft = std::max<int>(std::min<int>(ALeft, area.right - AWidth), area.left);
  ATop = std::max<int>(std::min<int>(ATop, area.bottom - AHeight), area.top);
  inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void __stdcall TcxBaseHintWindow::SetHintAreaBounds(const TRect& ABounds, bool AUseMousePos)
{
  FHintAreaBounds = ABounds;
  FUseMousePos = AUseMousePos;
}

void TcxBaseHintWindow::CorrectRect(TRect& R)
{
  R = cxFitRectToWorkArea(R, cxGetMouseCursorPosition());
}

void TcxBaseHintWindow::ResetWindowRegion()
{
  if (!HandleAllocated())
    return;
  vcl::TOwnedRegion region(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(GetHandle(), region.Get()) != ERROR)
    SetWindowRgn(GetHandle(), nullptr, TRUE);
}

bool TcxBaseHintWindow::IsTooltipAnimation()
{
  BOOL value = FALSE;
  TdxSystemInfo* info = cxGetSystemInfo();
  return info && info->GetParameter(SPI_GETTOOLTIPANIMATION, value) && value;
}

bool TcxBaseHintWindow::IsTooltipFade()
{
  BOOL value = FALSE;
  TdxSystemInfo* info = cxGetSystemInfo();
  return info && info->GetParameter(SPI_GETTOOLTIPFADE, value) && value;
}

void TcxBaseHintWindow::ActivateHint(const TRect& ARect, const rtl::String& AHint)
{
  if (FStandardHint) {
    inherited::ActivateHint(ARect, AHint);
    return;
  }
  FActivating = true;
  struct TFinish {
    TcxBaseHintWindow* Window;
    ~TFinish()
    {
      Window->FLastActive = Window->GetCurrentTick();
      Window->FActivating = false;
    }
  } finish{this};
  SetCaption(AHint);
  TRect r = ARect;
  CorrectRect(r);
  // The bounds are the window's own business here: SetWindowPos places it.
  FLeft = r.left;
  FTop = r.top;
  FWidth = r.right - r.left;
  FHeight = r.bottom - r.top;
  SetWindowPos(GetHandle(), HWND_TOPMOST, r.left, r.top, FWidth, FHeight, SWP_NOOWNERZORDER | SWP_NOACTIVATE);
  FHasAnimation = AnimateShow(AHint);
  ShowHintWindow();
  FHintAreaBounds = {};
}

bool TcxBaseHintWindow::AnimateShow(const rtl::String& AHint)
{
  const bool allowed = cxHintCanAnimate(GetCurrentTick(), FLastActive, static_cast<int>(AHint.size()));
  const TcxHintAnimationStyle style =
      allowed ? cxHintAnimationStyleInForce(FAnimationStyle, IsTooltipAnimation(), IsTooltipFade())
              : TcxHintAnimationStyle::cxhaNone;
  if (style == TcxHintAnimationStyle::cxhaNone) {
    if (HasWindowRegion())
      SetWindowRegion();
    else
      ResetWindowRegion();
    return false;
  }
  if (HasWindowRegion())
    SetWindowRegion();
  else
    ResetWindowRegion();
  AnimateWindow(GetHandle(), static_cast<DWORD>(FAnimationDelay), cxHintAnimationFlags(style));
  return true;
}

void TcxBaseHintWindow::ShowHintWindow()
{
  SetDoubleBuffered(HasWindowRegion());
  ShowWindow(GetHandle(), SW_SHOWNOACTIVATE);
  if (HasWindowRegion() && FHasAnimation)
    RedrawWindow(GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
  else
    Invalidate();
}

void TcxBaseHintWindow::CMTextChanged(vcl::TMessage& AMessage)
{
  if (!FActivating)
    rtl::InheritedMessage(this, AMessage);
}

void TcxBaseHintWindow::WMEraseBkgnd(vcl::TMessage& AMessage)
{
  if (FNeedEraseBackground || FStandardHint)
    rtl::InheritedMessage(this, AMessage);
  else
    AMessage.Result = 1;
}

// Only the hint window shows itself, from ActivateHint.
void TcxBaseHintWindow::WMWindowPosChanging(vcl::TMessage& AMessage)
{
  if (!FStandardHint && !FActivating)
    reinterpret_cast<WINDOWPOS*>(AMessage.LParam)->flags &= ~SWP_SHOWWINDOW;
  rtl::InheritedMessage(this, AMessage);
}

// ---------------------------------------------------------------------------
// TcxCustomHintWindow

void TcxCustomHintWindow::SetStandardHint(bool AValue)
{
  if (FStandardHint == AValue)
    return;
  FStandardHint = AValue;
  if (AValue)
    SetDoubleBuffered(false);
}

TcxCustomLookAndFeelPainter* TcxCustomHintWindow::GetLookAndFeelPainter()
{
  TcxCustomHintStyleController* controller = cxGetHintStyleController();
  if (!controller)
    return nullptr;
  if (controller->GetUseHintControlLookAndFeel()) {
    rtl::IPtr<IcxLookAndFeelContainer> container;
    rtl::TObject* hinted = cxGetHintedControl();
    if (hinted && (rtl::Supports(hinted, &container) || rtl::Supports(dxGetManager(hinted), &container)))
      return container->GetLookAndFeel()->GetPainter();
  }
  return controller->GetLookAndFeelPainter();
}

// ---------------------------------------------------------------------------
// Hint layout

TdxScaleFactor* TdxCustomHintViewInfoHelper::GetScaleFactor()
{
  return dxGetSystemScaleFactor();
}

void TdxCustomHintViewInfo::Create()
{
  FHelper = CreateHelper();
}

void TdxCustomHintViewInfo::Destroy()
{
  DestroyHelper();
  inherited::Destroy();
}

void TdxCustomHintViewInfo::DestroyHelper()
{
  rtl::Free(FHelper);
  FHelper = nullptr;
}

void TdxCustomHintViewInfo::Calculate(vcl::TCanvas* ACanvas)
{
  FHelper->UseRightToLeftAlignment = UseRightToLeftAlignment;
  FHelper->UseRightToLeftReading = UseRightToLeftReading;
  FHelper->Calculate(ACanvas);
}

void TdxCustomHintViewInfo::Paint(vcl::TCanvas* ACanvas)
{
  FHelper->Paint(ACanvas);
}

void TdxHintViewInfoHelper::Create(const rtl::String& AHint, const rtl::String& AShortCut, const TPoint& ACursorPos)
{
  inherited::Create();
  FText = AHint.empty() ? rtl::String() : AHint + AShortCut;
  FPos = ACursorPos;
}

void TdxHintViewInfoHelper::Destroy()
{
  rtl::Free(FScaleFactor);
  FScaleFactor = nullptr;
  inherited::Destroy();
}

TdxScaleFactor* TdxHintViewInfoHelper::GetScaleFactor()
{
  if (!FScaleFactor)
    FScaleFactor = rtl::New<TdxScaleFactor>();
  FScaleFactor->Assign(dxGetDPIAtPoint(FPos), 96, false);
  return FScaleFactor;
}

TRect TdxHintViewInfoHelper::GetTextArea()
{
  return cxGetWorkAreaAtPoint(cxGetMouseCursorPosition());
}

void TdxHintViewInfoHelper::Calculate(vcl::TCanvas* ACanvas)
{
  PrepareFont(ACanvas);
  PrepareFontColor(ACanvas);
  if (FText.empty()) {
    FBoundsRect = {};
    return;
  }
  const TRect area = GetTextArea();
  TRect r{0, 0, area.right - area.left, 0};
  DrawTextW(ACanvas->GetHandle(), FText.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  TSize size{r.right - r.left, r.bottom - r.top};
  AddTextMargins(size);
  FBoundsRect = {0, 0, size.cx, size.cy};
}

void TdxHintViewInfoHelper::AddTextMargins(TSize& ASize)
{
  const int margin = 2 * GetScaleFactor()->Apply(2) + 2;
  ASize.cx += margin;
  ASize.cy += margin;
}

TRect TdxHintViewInfoHelper::GetTextRect()
{
  TRect r = FBoundsRect;
  const int indent = 1 + GetScaleFactor()->Apply(2);
  InflateRect(&r, -indent, -indent);
  return r;
}

void TdxHintViewInfoHelper::Paint(vcl::TCanvas* ACanvas)
{
  PrepareFont(ACanvas);
  TRect r = FBoundsRect;
  DrawEdge(ACanvas->GetHandle(), &r, BDR_RAISEDOUTER, BF_RECT);
  DrawHintText(ACanvas);
}

void TdxHintViewInfoHelper::DrawHintText(vcl::TCanvas* ACanvas)
{
  UINT flags = DT_NOPREFIX | DT_WORDBREAK | DT_NOCLIP;
  flags |= UseRightToLeftAlignment ? DT_RIGHT : DT_LEFT;
  if (UseRightToLeftReading)
    flags |= DT_RTLREADING;
  TRect r = GetTextRect();
  const HDC dc = ACanvas->GetHandle();
  const int mode = SetBkMode(dc, TRANSPARENT);
  const COLORREF color = SetTextColor(dc, vcl::ColorToRGB(ACanvas->GetFont()->GetColor()));
  DrawTextW(dc, FText.c_str(), -1, &r, flags);
  SetTextColor(dc, color);
  SetBkMode(dc, mode);
}

void TdxHintViewInfoHelper::PrepareFont(vcl::TCanvas* ACanvas)
{
  TdxSystemInfo* info = cxGetSystemInfo();
  TdxScaleFactor* factor = GetScaleFactor();
  if (info && info->GetNonClientMetrics().lfStatusFont.lfFaceName[0]) {
    LOGFONTW font = info->GetNonClientMetrics().lfStatusFont;
    font.lfHeight = factor->Apply(font.lfHeight, dxGetSystemScaleFactor());
    ACanvas->GetFont()->SetHandle(CreateFontIndirectW(&font));
  } else {
    ACanvas->GetFont()->SetSize(factor->Apply(8));
  }
}

void TdxHintViewInfoHelper::PrepareFontColor(vcl::TCanvas* ACanvas)
{
  ACanvas->GetFont()->SetColor(vcl::Screen()->GetHintFont()->GetColor());
}
