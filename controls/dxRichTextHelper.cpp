#include "controls/dxRichTextHelper.h"

#include <richedit.h>

#include "controls/cxControls.h"
#include "core/cxClasses.h"
#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphicsDraw.h"
#include "platform/rtl/ClassesStreams.h"
#include "platform/vcl/ComCtrls.h"
#include "platform/vcl/Graphics.h"

namespace {

constexpr int TwipsPerInch = 1440;

// Pixels of the screen to twips; the vertical DPI serves both directions.
int PixelsToTwips(int AValue)
{
  return MulDiv(AValue, TwipsPerInch, cxGetScreenPixelsPerInch().y);
}

// The canvas locked and the editor's formatting cache dropped on every path
// out of a rendering.
class TRenderGuard {
 public:
  TRenderGuard(vcl::TCanvas* ACanvas, HWND AEditor) : FCanvas(ACanvas), FEditor(AEditor)
  {
    FCanvas->Lock();
    SendMessageW(FEditor, EM_FORMATRANGE, 0, 0);
  }
  ~TRenderGuard()
  {
    SendMessageW(FEditor, EM_FORMATRANGE, 0, 0);
    FCanvas->Unlock();
  }
  TRenderGuard(const TRenderGuard&) = delete;
  TRenderGuard& operator=(const TRenderGuard&) = delete;

 private:
  vcl::TCanvas* FCanvas;
  HWND FEditor;
};

// The device context's mapping, restored in the reverse order of its
// setting.
class TMappingGuard {
 public:
  explicit TMappingGuard(HDC ADC) : FDC(ADC)
  {
    FMode = GetMapMode(FDC);
    GetWindowExtEx(FDC, &FWindowExtent);
    GetViewportExtEx(FDC, &FViewportExtent);
    GetViewportOrgEx(FDC, &FViewportOrigin);
  }
  ~TMappingGuard()
  {
    SetViewportOrgEx(FDC, FViewportOrigin.x, FViewportOrigin.y, nullptr);
    SetViewportExtEx(FDC, FViewportExtent.cx, FViewportExtent.cy, nullptr);
    SetWindowExtEx(FDC, FWindowExtent.cx, FWindowExtent.cy, nullptr);
    SetMapMode(FDC, FMode);
  }
  TMappingGuard(const TMappingGuard&) = delete;
  TMappingGuard& operator=(const TMappingGuard&) = delete;

 private:
  HDC FDC;
  int FMode;
  SIZE FWindowExtent;
  SIZE FViewportExtent;
  POINT FViewportOrigin;
};

}  // namespace

void TdxRichTextHelper::Create()
{
  inherited::Create();
  FRichEdit = rtl::New<vcl::TRichEdit>(nullptr);
  // Parented by the framework's hidden window, it never shows on screen.
  if (TcxMessageWindow* hidden = cxGetHiddenMessageWindow())
    FRichEdit->SetParentWindow(hidden->GetHandle());
  FScaleFactor = rtl::New<TdxScaleFactor>();
  if (FRichEdit->GetParentWindow())
    SendMessageW(FRichEdit->GetHandle(), EM_SETEVENTMASK, 0, 0);
}

void TdxRichTextHelper::Destroy()
{
  rtl::Free(FScaleFactor);
  FScaleFactor = nullptr;
  rtl::Free(FRichEdit);
  FRichEdit = nullptr;
  inherited::Destroy();
}

void TdxRichTextHelper::LoadLines(rtl::TStream* AStream, rtl::TEncoding* AEncoding)
{
  FRichEdit->GetLines()->LoadFromStream(AStream, AEncoding);
}

void TdxRichTextHelper::Init(vcl::TCanvas* ACanvas, const rtl::String& AText, TdxScaleFactor* AScaleFactor)
{
  FRichEdit->HandleNeeded();
  FScaleFactor->Assign(dxGetTargetDPI(AScaleFactor), dxGetTargetDPI(dxGetSystemScaleFactor()), false);
  const HWND editor = FRichEdit->GetHandle();
  SetWindowLongW(editor, GWL_EXSTYLE, GetWindowLongW(editor, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
  FRichEdit->GetDefAttributes()->Assign(ACanvas->GetFont());
  FRichEdit->GetDefAttributes()->SetColor(ACanvas->GetFont()->GetColor());
  // Rich text is 7-bit and read in the ANSI code page; anything else is
  // plain text, kept whole as UTF-16.
  rtl::TEncoding* encoding = AText.starts_with(L"{\\rtf") ? rtl::TEncoding::ANSI() : rtl::TEncoding::Unicode();
  rtl::TOwnedPtr<rtl::TStringStream> stream(rtl::New<rtl::TStringStream>(AText, encoding));
  LoadLines(stream.get(), encoding);
}

void TdxRichTextHelper::CalculateTextHeight(vcl::TCanvas* ACanvas, TRect& ARect)
{
  ARect.bottom = ARect.top + Render(ACanvas, ARect, false);
}

void TdxRichTextHelper::DrawText(vcl::TCanvas* ACanvas, const TRect& ARect)
{
  Render(ACanvas, ARect, true);
}

int TdxRichTextHelper::Render(vcl::TCanvas* ACanvas, const TRect& ARect, bool ADraw)
{
  const HWND editor = FRichEdit->GetHandle();
  TRenderGuard guard(ACanvas, editor);
  const HDC dc = ACanvas->GetHandle();

  // A zoom set in the editor wins over the scale given to Init.
  rtl::TOwnedPtr<TdxScaleFactor> factor(rtl::New<TdxScaleFactor>());
  int numerator = 0;
  int denominator = 0;
  if (SendMessageW(editor, EM_GETZOOM, reinterpret_cast<WPARAM>(&numerator), reinterpret_cast<LPARAM>(&denominator)) &&
      denominator > 0 && numerator != denominator)
    factor->Assign(numerator, denominator, false);
  else
    factor->Assign(dxGetTargetDPI(FScaleFactor), dxGetTargetDPI(dxGetSystemScaleFactor()), false);

  TMappingGuard mapping(dc);
  TRect r = ARect;
  if (factor->GetAssigned()) {
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, TwipsPerInch, TwipsPerInch, nullptr);
    SetViewportExtEx(dc, factor->Apply(TwipsPerInch), factor->Apply(TwipsPerInch), nullptr);
    SetViewportOrgEx(dc, r.left, r.top, nullptr);
    r = cxRectMoveToOrigin(r);
  }

  // The layout rectangle in twips, made afresh before every call; measuring
  // lays out one inch at a time.
  const auto layout = [&] {
    const int left = PixelsToTwips(r.left);
    const int top = PixelsToTwips(r.top);
    const int height = ADraw ? PixelsToTwips(r.bottom - r.top) : TwipsPerInch;
    return RECT{left, top, left + PixelsToTwips(r.right - r.left), top + height};
  };
  FORMATRANGE range{};
  range.hdc = dc;
  range.hdcTarget = dc;
  range.chrg = {0, -1};
  range.rc = layout();
  range.rcPage = {0, 0, range.rc.right - range.rc.left, range.rc.bottom - range.rc.top};
  if (ADraw) {
    SendMessageW(editor, EM_FORMATRANGE, 1, reinterpret_cast<LPARAM>(&range));
    return 0;
  }
  long long total = 0;
  for (LONG start = 0;;) {
    range.chrg.cpMin = start;
    range.rc = layout();
    range.rcPage = {0, 0, range.rc.right - range.rc.left, range.rc.bottom - range.rc.top};
    const auto next = static_cast<LONG>(SendMessageW(editor, EM_FORMATRANGE, 0, reinterpret_cast<LPARAM>(&range)));
    if (next <= start)
      break;
    total += range.rc.bottom - range.rc.top;
    start = next;
  }
  const int pixelsPerInch = factor->Apply(GetDeviceCaps(dc, LOGPIXELSY));
  return MulDiv(static_cast<int>(total), pixelsPerInch, TwipsPerInch);
}
