// The skinned faces of the framework's push buttons (and of check boxes and
// radio buttons, for choosers that attach them): the controller takes over
// WM_PAINT and WM_ERASEBKGND and draws the whole face with the skin painter
// of the parent form, leaving the control's behaviour alone.
#include <algorithm>

#include "controls/cxWindowUtils.h"
#include "core/dxCore.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsControls.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/GraphicsHandles.h"
#include "platform/vcl/StdCtrls.h"
#include "skins/dxSkinsForm.h"
#include "skins/dxSkinsLookAndFeelPainter.h"

namespace {

// The split button's drop-down part.
constexpr int SplitButtonDropDownWidth = 16;

bool IsVistaOrLater()
{
  return dxOSIsWindowsVistaOrLater;
}

vcl::TButton* ButtonOf(TdxSkinWinController* AController)
{
  vcl::TWinControl* control = AController->GetWinControl();
  return rtl::Is<vcl::TButton>(control) ? static_cast<vcl::TButton*>(control) : nullptr;
}

}  // namespace

// ---------------------------------------------------------------------------
// TdxSkinCustomControlViewInfo

void TdxSkinCustomControlViewInfo::Create(TdxSkinWinController* AController)
{
  inherited::Create();
  FController = AController;
}

TRect TdxSkinCustomControlViewInfo::ClientRect() const
{
  RECT window{};
  GetWindowRect(FController->GetHandle(), &window);
  return TRect(0, 0, window.right - window.left, window.bottom - window.top);
}

vcl::TFont* TdxSkinCustomControlViewInfo::GetFont() const
{
  vcl::TWinControl* control = FController->GetWinControl();
  return control ? control->GetFont() : nullptr;
}

bool TdxSkinCustomControlViewInfo::IsEnabled() const
{
  return IsWindowEnabled(FController->GetHandle()) != FALSE;
}

bool TdxSkinCustomControlViewInfo::IsFocused() const
{
  return GetFocus() == FController->GetHandle();
}

bool TdxSkinCustomControlViewInfo::IsMouseAtControl() const
{
  POINT cursor{};
  GetCursorPos(&cursor);
  return WindowFromPoint(cursor) == FController->GetHandle();
}

TdxSkinLookAndFeelPainter* TdxSkinCustomControlViewInfo::LookAndFeelPainter() const
{
  return FController->GetLookAndFeelPainter();
}

TdxScaleFactor* TdxSkinCustomControlViewInfo::ScaleFactor() const
{
  return FController->GetScaleFactor();
}

void TdxSkinCustomControlViewInfo::DrawBackground(TcxCanvas* ACanvas)
{
  if (vcl::TWinControl* control = FController->GetWinControl())
    cxPaintParentBackground(control, ACanvas, ClientRect(), true);
}

// ---------------------------------------------------------------------------
// TdxSkinCustomControlController

void TdxSkinCustomControlController::Create(HWND AHandle)
{
  inherited::Create(AHandle);
  FViewInfo = CreateViewInfo();
}

void TdxSkinCustomControlController::Destroy()
{
  inherited::Destroy();
  rtl::FreeAndNil(FViewInfo);
}

TdxSkinCustomControlViewInfo* TdxSkinCustomControlController::CreateViewInfo()
{
  return rtl::New<TdxSkinCustomControlViewInfo>(this);
}

void TdxSkinCustomControlController::WndProc(rtl::TMessage& AMessage)
{
  if (GetUseSkin() && FViewInfo) {
    if (AMessage.Msg == WM_PAINT && HandlePaint(AMessage))
      return;
    if (AMessage.Msg == WM_ERASEBKGND && HandleEraseBackground(AMessage))
      return;
  }
  DefWndProc(AMessage);
}

bool TdxSkinCustomControlController::HandleEraseBackground(rtl::TMessage& AMessage)
{
  // Draw paints the whole face.
  AMessage.Result = 1;
  return true;
}

bool TdxSkinCustomControlController::HandlePaint(rtl::TMessage& AMessage)
{
  if (AMessage.WParam) {
    Draw(reinterpret_cast<HDC>(AMessage.WParam));
    return true;
  }
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(FHandle, &paint);
  const rtl::Finally endPaint([&] { EndPaint(FHandle, &paint); });
  Draw(dc);
  return true;
}

void TdxSkinCustomControlController::Draw(HDC DC)
{
  vcl::TWindowDC windowDC;
  if (!DC) {
    windowDC = vcl::TWindowDC(FHandle, GetDCEx(FHandle, nullptr, DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS | DCX_VALIDATE));
    DC = windowDC.Get();
  }
  if (!DC)
    return;
  if (!FDoubleBuffered) {
    DrawTo(DC);
    return;
  }
  const TRect bounds = FViewInfo->ClientRect();
  vcl::TOwnedDC memoryDC(CreateCompatibleDC(DC));
  vcl::TOwnedBitmap bitmap(CreateCompatibleBitmap(DC, std::max<int>(bounds.right, 1), std::max<int>(bounds.bottom, 1)));
  const HGDIOBJ old = SelectObject(memoryDC.Get(), bitmap.Get());
  DrawTo(memoryDC.Get());
  BitBlt(DC, 0, 0, bounds.right, bounds.bottom, memoryDC.Get(), 0, 0, SRCCOPY);
  SelectObject(memoryDC.Get(), old);
}

void TdxSkinCustomControlController::DrawTo(HDC DC)
{
  UpdateScaleFactor();
  TcxPaintCanvas* canvas = cxPaintCanvas();
  canvas->BeginPaint(DC);
  const rtl::Finally endPaint([&] { canvas->EndPaint(); });
  canvas->SaveClipRegion();
  {
    const rtl::Finally restoreClip([&] { canvas->RestoreClipRegion(); });
    FViewInfo->DrawBackground(canvas);
    FViewInfo->DrawContent(canvas);
    if (FViewInfo->IsFocused()) {
      canvas->GetBrush()->SetStyle(vcl::TBrushStyle::bsSolid);
      canvas->DrawFocusRect(FViewInfo->GetFocusRect());
    }
  }
  if (FWinControl && HasGraphicChildren())
    FWinControl->PaintControls(DC, nullptr);
}

// ---------------------------------------------------------------------------
// Buttons

void TdxSkinCustomButtonViewInfo::AfterConstruction()
{
  inherited::AfterConstruction();
  UpdateState();
}

TcxButtonState TdxSkinCustomButtonViewInfo::CalculateState()
{
  if (IsPressed())
    return TcxButtonState::cxbsPressed;
  return IsMouseAtControl() ? TcxButtonState::cxbsHot : TcxButtonState::cxbsNormal;
}

rtl::String TdxSkinCustomButtonViewInfo::GetCaption()
{
  vcl::TWinControl* control = FController->GetWinControl();
  return control ? control->GetText() : cxReadWindowText(FController->GetHandle());
}

bool TdxSkinCustomButtonViewInfo::IsPressed() const
{
  return (SendMessageW(FController->GetHandle(), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
}

bool TdxSkinCustomButtonViewInfo::WordWrap() const
{
  return (GetWindowLongW(FController->GetHandle(), GWL_STYLE) & BS_MULTILINE) != 0;
}

void TdxSkinCustomButtonViewInfo::SetState(TcxButtonState AValue)
{
  if (!IsEnabled())
    AValue = TcxButtonState::cxbsDisabled;
  if (AValue == FState)
    return;
  FState = AValue;
  if (FController->GetUseSkin())
    FController->Redraw(true);
}

void TdxSkinCustomButtonController::Create(HWND AHandle)
{
  inherited::Create(AHandle);
  FDoubleBuffered = true;
}

TdxSkinCustomButtonViewInfo* TdxSkinCustomButtonController::GetButtonViewInfo() const
{
  return static_cast<TdxSkinCustomButtonViewInfo*>(FViewInfo);
}

void __stdcall TdxSkinCustomButtonController::MouseLeave()
{
  if (FViewInfo)
    GetButtonViewInfo()->UpdateState();
}

void TdxSkinCustomButtonController::WndProc(rtl::TMessage& AMessage)
{
  rtl::TFreeWatch watch(this);
  inherited::WndProc(AMessage);
  if (watch.Freed() || !FViewInfo || !FHandle)
    return;
  switch (AMessage.Msg) {
    case WM_ENABLE:
    case BM_SETSTATE:
    case WM_MOUSEMOVE:
    case WM_MOUSEHOVER:
    case WM_MOUSELEAVE:
    case rtl::CM_MOUSELEAVE:
      GetButtonViewInfo()->UpdateState();
      break;
    case WM_SETTEXT:
      if (GetUseSkin())
        Draw(nullptr);
      break;
    case WM_UPDATEUISTATE:
      if (GetUseSkin() && (LOWORD(AMessage.WParam) == UIS_SET || LOWORD(AMessage.WParam) == UIS_CLEAR))
        Draw(nullptr);
      break;
    default:
      break;
  }
}

TdxSkinCustomControlViewInfo* TdxSkinButtonController::CreateViewInfo()
{
  return rtl::New<TdxSkinButtonViewInfo>(this);
}

void TdxSkinButtonController::WndProc(rtl::TMessage& AMessage)
{
  if (AMessage.Msg == rtl::CM_FOCUSCHANGED && FViewInfo) {
    // The focused button, or the default one while no button has focus,
    // shows the default look.
    auto* focused = reinterpret_cast<rtl::TObject*>(AMessage.LParam);
    auto* viewInfo = static_cast<TdxSkinButtonViewInfo*>(FViewInfo);
    if (rtl::Is<vcl::TButton>(focused))
      viewInfo->SetActive(focused == FWinControl);
    else
      viewInfo->SetActive(viewInfo->IsDefault());
  }
  inherited::WndProc(AMessage);
}

bool TdxSkinButtonViewInfo::IsDefault() const
{
  vcl::TButton* button = ButtonOf(FController);
  return button && button->GetDefault();
}

void TdxSkinButtonViewInfo::SetActive(bool AValue)
{
  if (FActive == AValue)
    return;
  FActive = AValue;
  UpdateState();
}

TcxButtonState TdxSkinButtonViewInfo::CalculateState()
{
  const TcxButtonState state = inherited::CalculateState();
  return state == TcxButtonState::cxbsNormal && FActive ? TcxButtonState::cxbsDefault : state;
}

namespace {

vcl::TButtonStyle ButtonStyleOf(TdxSkinWinController* AController)
{
  vcl::TButton* button = ButtonOf(AController);
  if (!button || !IsVistaOrLater())
    return vcl::TButtonStyle::bsPushButton;
  return button->GetStyle();
}

}  // namespace

TRect TdxSkinButtonViewInfo::GetFocusRect()
{
  TRect R = ClientRect();
  if (ButtonStyleOf(FController) == vcl::TButtonStyle::bsSplitButton)
    R.right -= SplitButtonDropDownWidth;
  return TRect(R.left + 4, R.top + 4, R.right - 4, R.bottom - 4);
}

void TdxSkinButtonViewInfo::DrawContent(TcxCanvas* ACanvas)
{
  DrawButtonBackground(ACanvas);
  DrawButtonText(ACanvas);
}

void TdxSkinButtonViewInfo::DrawButtonBackground(TcxCanvas* ACanvas)
{
  TdxSkinLookAndFeelPainter* painter = LookAndFeelPainter();
  if (!painter)
    return;
  const TRect R = ClientRect();
  switch (ButtonStyleOf(FController)) {
    case vcl::TButtonStyle::bsCommandLink:
      painter->DrawScaledCommandLinkBackground(ACanvas, R, FState, ScaleFactor(), vcl::clDefault);
      painter->DrawScaledCommandLinkGlyph(ACanvas, TPoint(8, 10), FState, ScaleFactor());
      break;
    case vcl::TButtonStyle::bsSplitButton: {
      const TRect left(R.left, R.top, R.right - SplitButtonDropDownWidth, R.bottom);
      const TRect right(R.right - SplitButtonDropDownWidth, R.top, R.right, R.bottom);
      painter->DrawScaledButton(ACanvas, left, rtl::String(), FState, ScaleFactor(), false, vcl::clDefault,
                                vcl::clDefault, false, false, TcxButtonPart::cxbpDropDownLeftPart);
      painter->DrawScaledButton(ACanvas, right, rtl::String(), FState, ScaleFactor(), false, vcl::clDefault,
                                vcl::clDefault, false, false, TcxButtonPart::cxbpDropDownRightPart);
      break;
    }
    default:
      painter->DrawScaledButton(ACanvas, R, rtl::String(), FState, ScaleFactor(), false, vcl::clDefault,
                                vcl::clDefault, false, false, TcxButtonPart::cxbpButton);
      break;
  }
}

void TdxSkinButtonViewInfo::DrawButtonText(TcxCanvas* ACanvas)
{
  TdxSkinLookAndFeelPainter* painter = LookAndFeelPainter();
  const rtl::String caption = GetCaption();
  if (!painter || caption.empty())
    return;
  const bool commandLink = ButtonStyleOf(FController) == vcl::TButtonStyle::bsCommandLink;
  TRect R = GetFocusRect();
  int flags;
  if (commandLink) {
    R.left = 8 + painter->GetScaledCommandLinkGlyphSize(ScaleFactor()).cx;
    R.top = 10;
    flags = cxtfAlignLeft | cxtfAlignTop | cxtfWordBreak | cxtfShowPrefix;
  } else {
    flags = cxtfAlignHCenter | cxtfAlignVCenter | cxtfShowPrefix | (WordWrap() ? cxtfWordBreak : cxtfSingleLine);
  }
  ACanvas->GetBrush()->SetStyle(vcl::TBrushStyle::bsClear);
  if (vcl::TFont* font = GetFont())
    ACanvas->GetFont()->Assign(font);
  if (FState == TcxButtonState::cxbsDisabled) {
    ACanvas->GetFont()->SetColor(vcl::clBtnHighlight);
    ACanvas->DrawTexT(caption, R, flags, true);
  }
  ACanvas->GetFont()->SetColor(painter->ButtonSymbolColor(FState, vcl::clDefault));
  ACanvas->DrawTexT(caption, R, flags, true);
}

// ---------------------------------------------------------------------------
// Check boxes and radio buttons

TcxCheckBoxState TdxSkinCustomCheckButtonViewInfo::CheckMarkState() const
{
  switch (SendMessageW(FController->GetHandle(), BM_GETCHECK, 0, 0)) {
    case BST_CHECKED:
      return TcxCheckBoxState::cbsChecked;
    case BST_INDETERMINATE:
      return TcxCheckBoxState::cbsGrayed;
    default:
      return TcxCheckBoxState::cbsUnchecked;
  }
}

bool TdxSkinCustomCheckButtonViewInfo::IsLeftText() const
{
  return (GetWindowLongW(FController->GetHandle(), GWL_STYLE) & BS_LEFTTEXT) != 0;
}

void TdxSkinCustomCheckButtonViewInfo::CalculateBounds(TRect& ACheckRect, TRect& ATextRect)
{
  const TRect client = ClientRect();
  const TSize size = GetCheckSize();
  const int top = client.top + (client.bottom - client.top - size.cy) / 2;
  if (IsLeftText()) {
    ACheckRect = TRect(client.right - size.cx, top, client.right, top + size.cy);
    ATextRect = TRect(client.left, client.top, ACheckRect.left - 4, client.bottom);
  } else {
    ACheckRect = TRect(client.left, top, client.left + size.cx, top + size.cy);
    ATextRect = TRect(ACheckRect.right + 4, client.top, client.right, client.bottom);
  }
}

void TdxSkinCustomCheckButtonViewInfo::DrawContent(TcxCanvas* ACanvas)
{
  if (!LookAndFeelPainter())
    return;
  TRect check;
  TRect text;
  CalculateBounds(check, text);
  DrawCheck(ACanvas, check);
  DrawCaption(ACanvas, text);
}

void TdxSkinCustomCheckButtonViewInfo::DrawCaption(TcxCanvas* ACanvas, const TRect& R)
{
  ACanvas->GetBrush()->SetStyle(vcl::TBrushStyle::bsClear);
  if (vcl::TFont* font = GetFont())
    ACanvas->GetFont()->Assign(font);
  ACanvas->GetFont()->SetColor(LookAndFeelPainter()->DefaultEditorTextColor(!IsEnabled()));
  ACanvas->DrawTexT(GetCaption(), R,
                    cxtfAlignLeft | cxtfAlignVCenter | cxtfShowPrefix | (WordWrap() ? cxtfWordBreak : cxtfSingleLine),
                    true);
}

TRect TdxSkinCustomCheckButtonViewInfo::GetFocusRect()
{
  TRect check;
  TRect text;
  CalculateBounds(check, text);
  TRect measured = text;
  TcxScreenCanvas* screen = cxScreenCanvas();
  const UINT flags = DT_CALCRECT | DT_LEFT | (WordWrap() ? DT_WORDBREAK : DT_SINGLELINE);
  {
    vcl::TOwnedFont font;
    HGDIOBJ old = nullptr;
    if (vcl::TFont* controlFont = GetFont())
      old = SelectObject(screen->GetHandle(), controlFont->GetHandle());
    DrawTextW(screen->GetHandle(), GetCaption().c_str(), -1, &measured, flags);
    if (old)
      SelectObject(screen->GetHandle(), old);
  }
  screen->Dormant();
  const int height = measured.bottom - measured.top;
  const int top = text.top + (text.bottom - text.top - height) / 2;
  const TRect client = ClientRect();
  TRect result(text.left - 1, top - 1, std::min<int>(measured.right, text.right) + 1, top + height + 1);
  result.left = std::max<int>(result.left, client.left);
  result.top = std::max<int>(result.top, client.top);
  result.right = std::min<int>(result.right, client.right);
  result.bottom = std::min<int>(result.bottom, client.bottom);
  return result;
}

TSize TdxSkinCheckBoxViewInfo::GetCheckSize()
{
  return LookAndFeelPainter() ? LookAndFeelPainter()->ScaledCheckButtonSize(ScaleFactor()) : TSize{13, 13};
}

void TdxSkinCheckBoxViewInfo::DrawCheck(TcxCanvas* ACanvas, const TRect& R)
{
  LookAndFeelPainter()->DrawScaledCheckButton(ACanvas, R, FState, CheckMarkState(), ScaleFactor());
}

TSize TdxSkinRadioButtonViewInfo::GetCheckSize()
{
  return LookAndFeelPainter() ? LookAndFeelPainter()->ScaledRadioButtonSize(ScaleFactor()) : TSize{13, 13};
}

void TdxSkinRadioButtonViewInfo::DrawCheck(TcxCanvas* ACanvas, const TRect& R)
{
  LookAndFeelPainter()->DrawScaledRadioButton(ACanvas, R.left, R.top, FState,
                                              CheckMarkState() == TcxCheckBoxState::cbsChecked, IsFocused(),
                                              vcl::clNone, ScaleFactor(), false);
}

TdxSkinCustomControlViewInfo* TdxSkinCheckBoxController::CreateViewInfo()
{
  return rtl::New<TdxSkinCheckBoxViewInfo>(this);
}

TdxSkinCustomControlViewInfo* TdxSkinRadioButtonController::CreateViewInfo()
{
  return rtl::New<TdxSkinRadioButtonViewInfo>(this);
}
