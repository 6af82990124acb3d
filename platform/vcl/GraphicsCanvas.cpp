// TCanvas: drawing on a borrowed DC with the canvas's font, brush and pen.
#include "platform/vcl/Graphics.h"

using enum vcl::TBrushStyle;
using enum vcl::TCanvasStates;
using enum vcl::TPenStyle;

namespace vcl {

namespace {

COLORREF RGBOf(TColor AColor)
{
  return static_cast<COLORREF>(ColorToRGB(AColor));
}

}  // namespace

void TCanvas::Create()
{
  InitializeCriticalSection(&FLock);
  FLockMade = true;
  FFont = rtl::New<TFont>();
  FFont->SetOnChange(rtl::TNotifyEvent::Bind<&TCanvas::FontChanged>(this));
  FPen = rtl::New<TPen>();
  FPen->SetOnChange(rtl::TNotifyEvent::Bind<&TCanvas::PenChanged>(this));
  FBrush = rtl::New<TBrush>();
  FBrush->SetOnChange(rtl::TNotifyEvent::Bind<&TCanvas::BrushChanged>(this));
  FCopyMode = cmSrcCopy;
}

void TCanvas::CreateOnDC(HDC ADC)
{
  Create();
  TakeOverDCObjects(ADC);
  SetHandle(ADC);
}

void TCanvas::TakeOverDCObjects(HDC ADC)
{
  LOGFONTW logFont{};
  if (GetObjectW(GetCurrentObject(ADC, OBJ_FONT), sizeof(logFont), &logFont) != 0) {
    // A copy: the DC's font belongs to whoever selected it.
    FFont->SetHandle(CreateFontIndirectW(&logFont));
  }
  FFont->SetColor(static_cast<TColor>(GetTextColor(ADC)));

  LOGBRUSH logBrush{};
  if (GetObjectW(GetCurrentObject(ADC, OBJ_BRUSH), sizeof(logBrush), &logBrush) != 0) {
    FBrush->SetColor(static_cast<TColor>(logBrush.lbColor));
    if (logBrush.lbStyle == BS_NULL)
      FBrush->SetStyle(bsClear);
    else if (logBrush.lbStyle == BS_HATCHED && logBrush.lbHatch <= HS_DIAGCROSS)
      FBrush->SetStyle(static_cast<TBrushStyle>(bsHorizontal + logBrush.lbHatch));
    else
      FBrush->SetStyle(bsSolid);
  }

  const HGDIOBJ pen = GetCurrentObject(ADC, OBJ_PEN);
  LOGPEN logPen{};
  EXTLOGPEN extPen{};
  if (GetObjectType(pen) == OBJ_EXTPEN && GetObjectW(pen, sizeof(extPen), &extPen) != 0) {
    logPen.lopnStyle = extPen.elpPenStyle & PS_STYLE_MASK;
    logPen.lopnWidth.x = static_cast<LONG>(extPen.elpWidth);
    logPen.lopnColor = extPen.elpColor;
  } else if (GetObjectW(pen, sizeof(logPen), &logPen) == 0) {
    logPen = LOGPEN{PS_SOLID, {1, 0}, 0};
  }
  FPen->SetColor(static_cast<TColor>(logPen.lopnColor));
  FPen->SetStyle(logPen.lopnStyle <= PS_INSIDEFRAME ? static_cast<TPenStyle>(logPen.lopnStyle) : psSolid);
  FPen->SetWidth(logPen.lopnWidth.x);
  FPen->SetMode(PenModeFromROP2(GetROP2(ADC)));
}

void TCanvas::Destroy()
{
  SetHandle(nullptr);
  rtl::FreeAndNil(FFont);
  rtl::FreeAndNil(FPen);
  rtl::FreeAndNil(FBrush);
  if (FLockMade)
    DeleteCriticalSection(&FLock);
  inherited::Destroy();
}

HDC TCanvas::GetHandle()
{
  Changing();
  RequiredState(csAllValid);
  return FHandle;
}

void TCanvas::SetHandle(HDC AValue)
{
  if (FHandle == AValue)
    return;
  if (FHandle) {
    DeselectHandles();
    GetCurrentPositionEx(FHandle, &FPenPos);
    FHandle = nullptr;
    FState.Exclude(csHandleValid);
  }
  if (AValue) {
    FState.Include(csHandleValid);
    FHandle = AValue;
    MoveToEx(FHandle, FPenPos.x, FPenPos.y, nullptr);
  }
}

void TCanvas::RequiredState(TCanvasState AState)
{
  const TCanvasState needed = AState - FState;
  if (needed.Empty())
    return;
  if (needed.Contains(csHandleValid)) {
    CreateHandle();
    if (!FHandle)
      throw rtl::EInvalidOperation(L"Canvas does not allow drawing");
  }
  if (needed.Contains(csFontValid))
    SelectFont();
  if (needed.Contains(csPenValid))
    SelectPen();
  if (needed.Contains(csBrushValid))
    SelectBrush();
  FState += needed;
}

void TCanvas::SelectFont()
{
  const HGDIOBJ old = SelectObject(FHandle, FFont->GetHandle());
  if (!FOriginalFont)
    FOriginalFont = old;
  SetTextColor(FHandle, RGBOf(FFont->GetColor()));
}

void TCanvas::SelectPen()
{
  const HGDIOBJ old = SelectObject(FHandle, FPen->GetHandle());
  if (!FOriginalPen)
    FOriginalPen = old;
  SetROP2(FHandle, PenModes[FPen->GetMode()]);
}

void TCanvas::SelectBrush()
{
  const HBRUSH brush = FBrush->GetHandle();
  UnrealizeObject(brush);
  const HGDIOBJ old = SelectObject(FHandle, brush);
  if (!FOriginalBrush)
    FOriginalBrush = old;
  if (FBrush->GetStyle() == bsSolid) {
    SetBkColor(FHandle, RGBOf(FBrush->GetColor()));
    SetBkMode(FHandle, OPAQUE);
  } else {
    // Some systems draw no hatch when the background colour equals the
    // brush colour; nothing uses the background colour while transparent.
    SetBkColor(FHandle, ~RGBOf(FBrush->GetColor()) & 0xFFFFFF);
    SetBkMode(FHandle, TRANSPARENT);
  }
}

void TCanvas::DeselectObject(TCanvasStates AState, HGDIOBJ AOriginal)
{
  if (!FState.Contains(AState))
    return;
  if (FHandle && AOriginal)
    SelectObject(FHandle, AOriginal);
  FState.Exclude(AState);
}

void TCanvas::DeselectHandles()
{
  DeselectObject(csFontValid, FOriginalFont);
  DeselectObject(csPenValid, FOriginalPen);
  DeselectObject(csBrushValid, FOriginalBrush);
  FOriginalFont = nullptr;
  FOriginalPen = nullptr;
  FOriginalBrush = nullptr;
}

void TCanvas::FontChanged(rtl::TObject*)
{
  DeselectObject(csFontValid, FOriginalFont);
}

void TCanvas::PenChanged(rtl::TObject*)
{
  DeselectObject(csPenValid, FOriginalPen);
}

void TCanvas::BrushChanged(rtl::TObject*)
{
  DeselectObject(csBrushValid, FOriginalBrush);
}

void TCanvas::Refresh()
{
  DeselectHandles();
}

void TCanvas::Changed()
{
  if (FOnChange)
    FOnChange(this);
}

void TCanvas::Changing()
{
  if (FOnChanging)
    FOnChanging(this);
}

TPoint TCanvas::GetPenPos()
{
  RequiredState({csHandleValid});
  TPoint result{};
  GetCurrentPositionEx(FHandle, &result);
  return result;
}

void TCanvas::SetPenPos(TPoint AValue)
{
  MoveTo(AValue.x, AValue.y);
}

void TCanvas::MoveTo(int X, int Y)
{
  RequiredState({csHandleValid});
  MoveToEx(FHandle, X, Y, nullptr);
}

void TCanvas::LineTo(int X, int Y)
{
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::LineTo(FHandle, X, Y);
  Changed();
}

void TCanvas::AngleArc(int X, int Y, DWORD ARadius, float AStartAngle, float ASweepAngle)
{
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::AngleArc(FHandle, X, Y, ARadius, AStartAngle, ASweepAngle);
  Changed();
}

void TCanvas::ArcTo(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::ArcTo(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  Changed();
}

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Arc(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  Changed();
}

void TCanvas::Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Chord(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2)
{
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Ellipse(FHandle, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Pie(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  Changed();
}

void TCanvas::Polygon(std::span<const TPoint> APoints)
{
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Polygon(FHandle, APoints.data(), static_cast<int>(APoints.size()));
  Changed();
}

void TCanvas::Polyline(std::span<const TPoint> APoints)
{
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Polyline(FHandle, APoints.data(), static_cast<int>(APoints.size()));
  Changed();
}

void TCanvas::PolyBezier(std::span<const TPoint> APoints)
{
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::PolyBezier(FHandle, APoints.data(), static_cast<DWORD>(APoints.size()));
  Changed();
}

void TCanvas::PolyBezierTo(std::span<const TPoint> APoints)
{
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::PolyBezierTo(FHandle, APoints.data(), static_cast<DWORD>(APoints.size()));
  Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2)
{
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Rectangle(FHandle, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3)
{
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::RoundRect(FHandle, X1, Y1, X2, Y2, X3, Y3);
  Changed();
}

void TCanvas::FillRect(const TRect& R)
{
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::FillRect(FHandle, &R, FBrush->GetHandle());
  Changed();
}

void TCanvas::FrameRect(const TRect& R)
{
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::FrameRect(FHandle, &R, FBrush->GetHandle());
  Changed();
}

void TCanvas::DrawFocusRect(const TRect& R)
{
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::DrawFocusRect(FHandle, &R);
  Changed();
}

void TCanvas::FloodFill(int X, int Y, TColor AColor, bool ASurface)
{
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ExtFloodFill(FHandle, X, Y, RGBOf(AColor), ASurface ? FLOODFILLSURFACE : FLOODFILLBORDER);
  Changed();
}

void TCanvas::TextOut(int X, int Y, const String& AText)
{
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  ExtTextOutW(FHandle, X, Y, FTextFlags, nullptr, AText.c_str(), static_cast<UINT>(AText.size()), nullptr);
  MoveTo(X + TextWidth(AText), Y);
  Changed();
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const String& AText)
{
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  UINT options = ETO_CLIPPED | FTextFlags;
  if (FBrush->GetStyle() != bsClear)
    options |= ETO_OPAQUE;
  ExtTextOutW(FHandle, X, Y, options, &R, AText.c_str(), static_cast<UINT>(AText.size()), nullptr);
  Changed();
}

TSize TCanvas::TextExtent(const String& AText)
{
  RequiredState({csHandleValid, csFontValid});
  TSize result{};
  GetTextExtentPoint32W(FHandle, AText.c_str(), static_cast<int>(AText.size()), &result);
  return result;
}

void TCanvas::Draw(int X, int Y, TGraphic* AGraphic)
{
  if (!AGraphic || AGraphic->GetEmpty())
    return;
  Changing();
  RequiredState({csHandleValid});
  SetBkColor(FHandle, RGBOf(FBrush->GetColor()));
  AGraphic->Draw(this, TRect{X, Y, X + AGraphic->GetWidth(), Y + AGraphic->GetHeight()});
  Changed();
}

void TCanvas::Draw(int X, int Y, TGraphic* AGraphic, std::uint8_t AOpacity)
{
  if (!AGraphic || AGraphic->GetEmpty())
    return;
  Changing();
  RequiredState({csHandleValid});
  SetBkColor(FHandle, RGBOf(FBrush->GetColor()));
  AGraphic->DrawTransparent(this, TRect{X, Y, X + AGraphic->GetWidth(), Y + AGraphic->GetHeight()}, AOpacity);
  Changed();
}

void TCanvas::StretchDraw(const TRect& R, TGraphic* AGraphic)
{
  if (!AGraphic)
    return;
  Changing();
  RequiredState(csAllValid);
  AGraphic->Draw(this, R);
  Changed();
}

void TCanvas::CopyRect(const TRect& ADest, TCanvas* ACanvas, const TRect& ASource)
{
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  ACanvas->RequiredState({csHandleValid, csBrushValid});
  StretchBlt(FHandle, ADest.left, ADest.top, ADest.right - ADest.left, ADest.bottom - ADest.top, ACanvas->FHandle,
             ASource.left, ASource.top, ASource.right - ASource.left, ASource.bottom - ASource.top, FCopyMode);
  Changed();
}

void TCanvas::BrushCopy(const TRect& ADest, TBitmap* ABitmap, const TRect& ASource, TColor AColor)
{
  if (!ABitmap || ABitmap->GetEmpty())
    return;
  const int width = ASource.right - ASource.left;
  const int height = ASource.bottom - ASource.top;
  const int destWidth = ADest.right - ADest.left;
  const int destHeight = ADest.bottom - ADest.top;
  if (width <= 0 || height <= 0 || destWidth <= 0 || destHeight <= 0)
    return;
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  const HDC source = ABitmap->GetCanvas()->GetHandle();
  const COLORREF key = RGBOf(AColor);
  if (FBrush->GetStyle() == bsClear) {
    GdiTransparentBlt(FHandle, ADest.left, ADest.top, destWidth, destHeight, source, ASource.left, ASource.top, width,
                      height, key);
  } else {
    // The key pixels take the brush: the source goes transparently onto a
    // brush-filled copy, which is then copied to the canvas.
    const TOwnedDC work(CreateCompatibleDC(FHandle));
    const TOwnedBitmap image(CreateCompatibleBitmap(FHandle, width, height));
    const TSelectObjectGuard selected(work.Get(), image.Get());
    const TRect all{0, 0, width, height};
    ::FillRect(work.Get(), &all, FBrush->GetHandle());
    GdiTransparentBlt(work.Get(), 0, 0, width, height, source, ASource.left, ASource.top, width, height, key);
    StretchBlt(FHandle, ADest.left, ADest.top, destWidth, destHeight, work.Get(), 0, 0, width, height, SRCCOPY);
  }
  Changed();
}

TColor TCanvas::GetPixel(int X, int Y)
{
  RequiredState({csHandleValid});
  return static_cast<TColor>(::GetPixel(FHandle, X, Y));
}

void TCanvas::SetPixel(int X, int Y, TColor AColor)
{
  Changing();
  RequiredState({csHandleValid, csPenValid});
  ::SetPixel(FHandle, X, Y, RGBOf(AColor));
  Changed();
}

TRect TCanvas::GetClipRect()
{
  RequiredState({csHandleValid});
  TRect result{};
  GetClipBox(FHandle, &result);
  return result;
}

void TCanvas::Lock()
{
  EnterCriticalSection(&FLock);
  ++FLockCount;
}

void TCanvas::Unlock()
{
  --FLockCount;
  LeaveCriticalSection(&FLock);
}

bool TCanvas::TryLock()
{
  if (!TryEnterCriticalSection(&FLock))
    return false;
  ++FLockCount;
  return true;
}

}  // namespace vcl
