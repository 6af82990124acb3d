#include "graphics/cxGraphics.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "core/cxGeometry.h"
#include "graphics/cxGraphicsControls.h"
#include "graphics/cxGraphicsDraw.h"
#include "graphics/cxGraphicsImageAnimation.h"
#include "graphics/cxGraphicsPaintCache.h"
#include "graphics/dxCoreGraphics.h"
#include "platform/vcl/Controls.h"

using enum TcxAlignmentVert;
using enum TcxBorder;
using enum TcxRegionOperation;
using enum TcxRotationAngle;
using enum TdxDefaultBoolean;
using enum vcl::TBrushStyle;
using enum vcl::TPixelFormat;

using namespace vcl;
using rtl::String;

namespace {

// The shared canvases; nil until first asked for, and for good once the unit
// has finished (painting after shut-down must not make new ones).
TcxScreenCanvas* ScreenCanvas = nullptr;
TcxPaintCanvas* PaintCanvas = nullptr;
bool UnitFinished = false;

// Stands in for "no clip region" where a region is needed.
constexpr TRect NoClipBounds{0, 0, 30000, 30000};

// The unit's other parts (drawing routines, bitmaps, paint caches) add
// their start-up and finish steps to these two.
void cxGraphicsInitialization()
{
  UnitFinished = false;
  cxGraphicsDrawInitialize();
  cxGraphicsControlsInitialize();
  cxGraphicsImageAnimationInitialize();
}

void cxGraphicsFinalization()
{
  UnitFinished = true;
  cxGraphicsImageAnimationFinalize();
  TdxImageListPaintCache::Finalize();
  rtl::FreeAndNil(ScreenCanvas);
  rtl::FreeAndNil(PaintCanvas);
  cxGraphicsControlsFinalize();
  cxGraphicsDrawFinalize();
}

}  // namespace

RTL_UNIT(cxGraphics, &cxGraphicsInitialization, &cxGraphicsFinalization);

namespace {

constexpr int CombineModes[] = {RGN_COPY, RGN_OR, RGN_DIFF, RGN_AND};

bool IsRectEmpty(const TRect& R)
{
  return R.right <= R.left || R.bottom <= R.top;
}

TRect Intersection(const TRect& A, const TRect& B)
{
  return TRect{std::max(A.left, B.left), std::max(A.top, B.top), std::min(A.right, B.right),
               std::min(A.bottom, B.bottom)};
}

// Rounds toward minus infinity, so tiles left of or above the origin start
// at the right cell.
int FloorDiv(int A, int B)
{
  const int q = A / B;
  return (A % B != 0 && (A < 0) != (B < 0)) ? q - 1 : q;
}

// The strips of width AWidth inside R along the sides in ABorders, each
// clamped to R, in the order left, right, top, bottom.
std::vector<TRect> FrameStrips(const TRect& R, int AWidth, TcxBorders ABorders)
{
  std::vector<TRect> strips;
  if (ABorders.Contains(bLeft))
    strips.push_back(TRect{R.left, R.top, std::min(R.left + AWidth, R.right), R.bottom});
  if (ABorders.Contains(bRight))
    strips.push_back(TRect{std::max(R.right - AWidth, R.left), R.top, R.right, R.bottom});
  if (ABorders.Contains(bTop))
    strips.push_back(TRect{R.left, R.top, R.right, std::min(R.top + AWidth, R.bottom)});
  if (ABorders.Contains(bBottom))
    strips.push_back(TRect{R.left, std::max(R.bottom - AWidth, R.top), R.right, R.bottom});
  return strips;
}


// DrawText on a DC with a transparent background and, unless clDefault, a
// text colour; both are put back.
int DrawTextWithColor(HDC ADC, const String& AText, TRect& R, TColor ATextColor, UINT AFlags)
{
  const int oldMode = SetBkMode(ADC, TRANSPARENT);
  COLORREF oldColor = CLR_INVALID;
  if (ATextColor != clDefault)
    oldColor = SetTextColor(ADC, static_cast<COLORREF>(ColorToRGB(ATextColor)));
  const int result = DrawTextW(ADC, AText.c_str(), static_cast<int>(AText.size()), &R, AFlags);
  if (oldColor != CLR_INVALID)
    SetTextColor(ADC, oldColor);
  SetBkMode(ADC, oldMode);
  return result;
}

// The canvas's text with its right-to-left reading flag; R is not changed.
int DrawCanvasText(TCanvas* ACanvas, const String& AText, const TRect& R, TColor ATextColor, UINT AFlags)
{
  if (ACanvas->GetTextFlags() & ETO_RTLREADING)
    AFlags |= DT_RTLREADING;
  TRect r = R;
  return DrawTextWithColor(ACanvas->GetHandle(), AText, r, ATextColor, AFlags);
}

TcxRotationAngle OppositeAngle(TcxRotationAngle AAngle)
{
  switch (AAngle) {
    case raPlus90:
      return raMinus90;
    case raMinus90:
      return raPlus90;
    default:
      return AAngle;
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// TcxRegion

void TcxRegion::Create()
{
  Create(0, 0, 0, 0);
}

void TcxRegion::Create(HRGN AHandle)
{
  FHandle.Reset(AHandle);
}

void TcxRegion::Create(const TRect& ABounds)
{
  FHandle.Reset(CreateRectRgnIndirect(&ABounds));
}

void TcxRegion::Create(int ALeft, int ATop, int ARight, int ABottom)
{
  FHandle.Reset(CreateRectRgn(ALeft, ATop, ARight, ABottom));
}

void TcxRegion::CreateFromWindow(HWND AHandle, int)
{
  Create();
  if (GetWindowRgn(AHandle, FHandle.Get()) == ERROR) {
    TRect bounds{};
    GetWindowRect(AHandle, &bounds);
    Combine(TRect{0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top}, roSet);
  }
}

void TcxRegion::CreateRoundCorners(const TRect& ABounds, int AWidthEllepse, int AHeightEllepse)
{
  CreateRoundCorners(ABounds.left, ABounds.top, ABounds.right, ABounds.bottom, AWidthEllepse, AHeightEllepse);
}

void TcxRegion::CreateRoundCorners(int ALeft, int ATop, int ARight, int ABottom, int AWidthEllepse,
                                   int AHeightEllepse)
{
  FHandle.Reset(CreateRoundRectRgn(ALeft + 1, ATop + 1, ARight, ABottom, AWidthEllepse, AHeightEllepse));
}

void TcxRegion::Destroy()
{
  FHandle.Reset();
  inherited::Destroy();
}

TcxRegion* TcxRegion::Clone() const
{
  TcxRegion* result = rtl::New<TcxRegion>();
  result->Combine(FHandle.Get(), roAdd);
  return result;
}

void TcxRegion::Combine(HRGN ARegionHandle, TcxRegionOperation AOperation)
{
  if (AOperation == roSet)
    CombineRgn(FHandle.Get(), ARegionHandle, nullptr, RGN_COPY);
  else
    CombineRgn(FHandle.Get(), FHandle.Get(), ARegionHandle, CombineModes[AOperation]);
}

void TcxRegion::Combine(TcxRegion* ARegion, TcxRegionOperation AOperation, bool ADestroyRegion)
{
  if (!ARegion)
    return;
  Combine(ARegion->GetHandle(), AOperation);
  if (ADestroyRegion)
    rtl::Free(ARegion);
}

void TcxRegion::Combine(const TRect& R, TcxRegionOperation AOperation)
{
  const TOwnedRegion region(CreateRectRgnIndirect(&R));
  Combine(region.Get(), AOperation);
}

bool TcxRegion::IsEqual(const TcxRegion* ARegion) const
{
  if (!ARegion)
    return false;
  // EqualRgn tells empty regions apart by their stale bounds on some
  // systems; emptiness is what matters.
  if (GetIsEmpty() && ARegion->GetIsEmpty())
    return true;
  return IsEqual(ARegion->GetHandle());
}

bool TcxRegion::IsEqual(HRGN ARegionHandle) const
{
  return EqualRgn(FHandle.Get(), ARegionHandle) != FALSE;
}

void TcxRegion::Offset(int DX, int DY)
{
  OffsetRgn(FHandle.Get(), DX, DY);
}

bool TcxRegion::PtInRegion(int X, int Y) const
{
  return ::PtInRegion(FHandle.Get(), X, Y) != FALSE;
}

bool TcxRegion::RectInRegion(const TRect& R) const
{
  return ::RectInRegion(FHandle.Get(), &R) != FALSE;
}

bool TcxRegion::RectInRegion(int ALeft, int ATop, int ARight, int ABottom) const
{
  return RectInRegion(TRect{ALeft, ATop, ARight, ABottom});
}

TRect TcxRegion::GetBoundsRect() const
{
  TRect result{};
  if (GetRgnBox(FHandle.Get(), &result) == NULLREGION)
    result = TRect{};
  return result;
}

bool TcxRegion::GetIsEmpty() const
{
  TRect bounds{};
  return GetRgnBox(FHandle.Get(), &bounds) == NULLREGION;
}

bool cxPointInRegion(HRGN ARegion, const TPoint& P)
{
  return PtInRegion(ARegion, P.x, P.y) != FALSE;
}

// ---------------------------------------------------------------------------
// Text flags

UINT cxTextFlagsToDrawTextFlags(int AFlags)
{
  static constexpr std::pair<int, UINT> Direct[] = {
      {cxtfAlignRight, DT_RIGHT},         {cxtfAlignHCenter, DT_CENTER},     {cxtfAlignBottom, DT_BOTTOM},
      {cxtfAlignVCenter, DT_VCENTER},     {cxtfSingleLine, DT_SINGLELINE},   {cxtfNoClip, DT_NOCLIP},
      {cxtfExpandTabs, DT_EXPANDTABS},    {cxtfEndEllipsis, DT_END_ELLIPSIS}, {cxtfCalcRect, DT_CALCRECT},
      {cxtfPathEllipsis, DT_PATH_ELLIPSIS}, {cxtfRtlReading, DT_RTLREADING}};
  UINT result = 0;
  for (const auto& [flag, drawTextFlag] : Direct)
    if (AFlags & flag)
      result |= drawTextFlag;
  if (!(AFlags & cxtfShowPrefix))
    result |= DT_NOPREFIX;
  if (AFlags & cxtfWordBreak) {
    result |= DT_WORDBREAK;
    if (!(AFlags & cxtfNoCharBreak))
      result |= DT_EDITCONTROL;
    else if (AFlags & cxtfNoFullWidthCharBreak)
      result |= DT_NOFULLWIDTHCHARBREAK;
  }
  return result;
}

// ---------------------------------------------------------------------------
// TcxCanvas: construction and state

void TcxCanvas::Create(TCanvas* ACanvas)
{
  FCanvas = ACanvas;
  FUseRightToLeftAlignment = bDefault;
}

void TcxCanvas::Destroy()
{
  // The DC states stay as they are, but the locks taken for them go, or the
  // platform canvas would stay locked for good.
  for (std::size_t i = 0; i < FSavedDCs.size() && FCanvas; ++i)
    FCanvas->Unlock();
  FSavedDCs.clear();
  FCanvas = nullptr;
  // Saved regions and state copies go with their vectors: a canvas freed
  // with saved entries must not leak their GDI objects.
  FSavedRegions.clear();
  FSavedStates.clear();
  inherited::Destroy();
}

void TcxCanvas::SetCanvas(TCanvas* AValue)
{
  FCanvas = AValue;
}

int TcxCanvas::GetDpiX() const
{
  return GetDeviceCaps(GetHandle(), LOGPIXELSX);
}

int TcxCanvas::GetDpiY() const
{
  return GetDeviceCaps(GetHandle(), LOGPIXELSY);
}

TPoint TcxCanvas::GetViewportOrg() const
{
  TPoint result{};
  GetViewportOrgEx(GetHandle(), &result);
  return result;
}

void TcxCanvas::SetViewportOrg(const TPoint& P)
{
  SetViewportOrgEx(GetHandle(), P.x, P.y, nullptr);
}

TPoint TcxCanvas::GetWindowOrg() const
{
  TPoint result{};
  GetWindowOrgEx(GetHandle(), &result);
  return result;
}

void TcxCanvas::SetWindowOrg(const TPoint& P)
{
  SetWindowOrgEx(GetHandle(), P.x, P.y, nullptr);
}

TPoint TcxCanvas::GetDCOrigin() const
{
  const TPoint viewport = GetViewportOrg();
  TPoint window{};
  GetWindowOrgEx(GetHandle(), &window);
  return TPoint{viewport.x - window.x, viewport.y - window.y};
}

bool TcxCanvas::GetUseRightToLeftAlignment() const
{
  if (FUseRightToLeftAlignment != bDefault)
    return FUseRightToLeftAlignment == bTrue;
  // By default a control's canvas follows its control, so that painters
  // mirror a right-to-left control without being told; other canvases are
  // left to right.
  const auto* controlCanvas = rtl::Is<TControlCanvas>(FCanvas) ? static_cast<const TControlCanvas*>(FCanvas) : nullptr;
  return controlCanvas && controlCanvas->GetControl() && controlCanvas->GetControl()->UseRightToLeftAlignment();
}

void TcxCanvas::SetUseRightToLeftAlignment(bool AValue)
{
  FUseRightToLeftAlignment = AValue ? bTrue : bFalse;
}

void TcxCanvas::GetParams(TcxViewParams& AParams) const
{
  AParams.Color = GetBrush()->GetColor();
  AParams.Font = GetFont();
  AParams.TextColor = GetFont()->GetColor();
}

void TcxCanvas::SetParams(const TcxViewParams& AParams)
{
  SetBrushColor(AParams.Color);
  if (AParams.Font)
    SetFont(AParams.Font);
  GetFont()->SetColor(AParams.TextColor);
}

void TcxCanvas::SetBrushColor(TColor Value)
{
  GetBrush()->SetColor(Value);
}

void TcxCanvas::SetFontAngle(int Value)
{
  LOGFONTW font = GetFont()->GetLogFont();
  font.lfEscapement = Value * 10;
  if (Value != 0)
    font.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  GetFont()->SetHandle(CreateFontIndirectW(&font));
}

// ---------------------------------------------------------------------------
// Saved states

void TcxCanvas::SaveDC()
{
  FCanvas->Lock();
  const HDC handle = GetHandle();
  // The saved state must not hold the canvas's own font, brush and pen: they
  // may be freed before RestoreDC, which would select them again. The canvas
  // selects them anew on its next drawing call.
  FCanvas->Refresh();
  FSavedDCs.push_back(TcxDCState{handle, ::SaveDC(handle)});
}

void TcxCanvas::RestoreDC()
{
  if (FSavedDCs.empty())
    return;
  const TcxDCState state = FSavedDCs.back();
  FSavedDCs.pop_back();
  // A bitmap canvas gives its DC up when the bitmap's pixels are read or
  // written; the saved state went with that DC, and handing the dead handle
  // back would leave the canvas drawing nowhere. It makes a new DC instead.
  if (GetObjectType(state.Handle) != 0) {
    FCanvas->SetHandle(state.Handle);
    FCanvas->Refresh();
    ::RestoreDC(state.Handle, state.State);
  }
  FCanvas->Unlock();
}

void TcxCanvas::SaveState()
{
  SaveDC();
  TcxCanvasState state{rtl::TOwnedPtr<TFont>(rtl::New<TFont>()), rtl::TOwnedPtr<TBrush>(rtl::New<TBrush>()),
                       rtl::TOwnedPtr<TPen>(rtl::New<TPen>()), FUseRightToLeftAlignment, GetTextFlags()};
  state.Font->Assign(GetFont());
  state.Brush->Assign(GetBrush());
  state.Pen->Assign(GetPen());
  FSavedStates.push_back(std::move(state));
}

void TcxCanvas::RestoreState()
{
  if (FSavedStates.empty())
    return;
  TcxCanvasState state = std::move(FSavedStates.back());
  FSavedStates.pop_back();
  SetTextFlags(state.TextFlags);
  FUseRightToLeftAlignment = state.UseRightToLeftAlignment;
  SetFont(state.Font.get());
  SetBrush(state.Brush.get());
  SetPen(state.Pen.get());
  RestoreDC();
}

void TcxCanvas::SaveClipRegion()
{
  const TOwnedRegion probe(CreateRectRgn(0, 0, 0, 0));
  if (GetClipRgn(GetHandle(), probe.Get()) == 1)
    FSavedRegions.emplace_back(GetClipRegion(true));
  else
    FSavedRegions.emplace_back(nullptr);
}

void TcxCanvas::RestoreClipRegion()
{
  if (FSavedRegions.empty())
    return;
  TcxRegion* region = FSavedRegions.back().release();
  FSavedRegions.pop_back();
  if (region)
    SetClipRegion(region, roSet, true, true);
  else
    SelectClipRgn(GetHandle(), nullptr);
}

// ---------------------------------------------------------------------------
// Clipping

TcxRegion* TcxCanvas::GetClipRegion(bool AConsiderOrigin)
{
  TcxRegion* result = rtl::New<TcxRegion>();
  if (GetClipRgn(GetHandle(), result->GetHandle()) != 1)
    result->Combine(NoClipBounds, roSet);
  if (AConsiderOrigin) {
    const TPoint origin = GetDCOrigin();
    result->Offset(-origin.x, -origin.y);
  }
  return result;
}

void TcxCanvas::SetClipRegion(TcxRegion* ARegion, TcxRegionOperation AOperation, bool ADestroyRegion,
                              bool AConsiderOrigin)
{
  if (!ARegion)
    return;
  if (AOperation != roSet) {
    TcxRegion* clip = GetClipRegion(AConsiderOrigin);
    clip->Combine(ARegion, AOperation, ADestroyRegion);
    SetClipRegion(clip, roSet, true, AConsiderOrigin);
    return;
  }
  const TPoint origin = AConsiderOrigin ? GetDCOrigin() : TPoint{};
  ARegion->Offset(origin);
  SelectClipRgn(GetHandle(), ARegion->GetHandle());
  if (ADestroyRegion)
    rtl::Free(ARegion);
  else
    ARegion->Offset(-origin.x, -origin.y);
}

void TcxCanvas::ExcludeClipRect(const TRect& R)
{
  ::ExcludeClipRect(GetHandle(), R.left, R.top, R.right, R.bottom);
}

void TcxCanvas::IntersectClipRect(const TRect& R)
{
  ::IntersectClipRect(GetHandle(), R.left, R.top, R.right, R.bottom);
}

void TcxCanvas::ExcludeFrameRect(const TRect& R, int ALineWidth, TcxBorders ABorders)
{
  for (const TRect& strip : FrameStrips(R, ALineWidth, ABorders))
    ExcludeClipRect(strip);
}

bool TcxCanvas::RectVisible(const TRect& R)
{
  return ::RectVisible(GetHandle(), &R) != FALSE;
}

bool TcxCanvas::RectFullyVisible(const TRect& R)
{
  const rtl::TOwnedPtr<TcxRegion> clip(GetClipRegion(true));
  const rtl::TOwnedPtr<TcxRegion> rect(rtl::New<TcxRegion>(R));
  clip->Combine(rect->GetHandle(), roIntersect);
  // The bottom-right probe lies just outside R, as the callers expect: a
  // rectangle touching the clip's right or bottom edge does not count.
  return clip->IsEqual(rect.get()) && PtVisible(GetHandle(), R.left, R.top) &&
         PtVisible(GetHandle(), R.right, R.bottom);
}

void TcxCanvas::BeginPath()
{
  ::BeginPath(GetHandle());
}

void TcxCanvas::EndPath()
{
  ::EndPath(GetHandle());
}

void TcxCanvas::WidenPath()
{
  ::WidenPath(GetHandle());
}

TcxRegion* TcxCanvas::PathToRegion(bool AConsiderOrigin)
{
  // Without a closed path there is no region: answer an empty one rather
  // than an object without a handle.
  const HRGN handle = ::PathToRegion(GetHandle());
  TcxRegion* result = handle ? rtl::New<TcxRegion>(handle) : rtl::New<TcxRegion>();
  if (AConsiderOrigin) {
    const TPoint origin = GetDCOrigin();
    result->Offset(-origin.x, -origin.y);
  }
  return result;
}

// ---------------------------------------------------------------------------
// Forwarded drawing

void TcxCanvas::AngleArc(int X, int Y, DWORD ARadius, float AStartAngle, float ASweepAngle)
{
  FCanvas->AngleArc(X, Y, ARadius, AStartAngle, ASweepAngle);
}

void TcxCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
  FCanvas->Arc(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void TcxCanvas::ArcTo(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
  FCanvas->ArcTo(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void TcxCanvas::BrushCopy(const TRect& ADest, TBitmap* ABitmap, const TRect& ASource, TColor AColor)
{
  FCanvas->BrushCopy(ADest, ABitmap, ASource, AColor);
}

void TcxCanvas::Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
  FCanvas->Chord(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void TcxCanvas::CopyRect(const TRect& ADest, TCanvas* ACanvas, const TRect& ASource)
{
  FCanvas->CopyRect(ADest, ACanvas, ASource);
}

void TcxCanvas::Draw(int X, int Y, TGraphic* AGraphic)
{
  FCanvas->Draw(X, Y, AGraphic);
}

void TcxCanvas::Draw(int X, int Y, TGraphic* AGraphic, std::uint8_t AOpacity)
{
  FCanvas->Draw(X, Y, AGraphic, AOpacity);
}

void TcxCanvas::Ellipse(const TRect& R)
{
  FCanvas->Ellipse(R);
}

void TcxCanvas::Ellipse(int X1, int Y1, int X2, int Y2)
{
  FCanvas->Ellipse(X1, Y1, X2, Y2);
}

void TcxCanvas::FloodFill(int X, int Y, TColor AColor, bool ASurface)
{
  FCanvas->FloodFill(X, Y, AColor, ASurface);
}

void TcxCanvas::LineTo(int X, int Y)
{
  FCanvas->LineTo(X, Y);
}

void TcxCanvas::MoveTo(int X, int Y)
{
  FCanvas->MoveTo(X, Y);
}

void TcxCanvas::Line(const TPoint& P1, const TPoint& P2)
{
  Line(P1.x, P1.y, P2.x, P2.y);
}

void TcxCanvas::Line(int X1, int Y1, int X2, int Y2)
{
  MoveTo(X1, Y1);
  LineTo(X2, Y2);
}

void TcxCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
  FCanvas->Pie(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void TcxCanvas::Pie(const TRect& R, const TPoint& P1, const TPoint& P2)
{
  Pie(R.left, R.top, R.right, R.bottom, P1.x, P1.y, P2.x, P2.y);
}

void TcxCanvas::Pie(const TRect& R, int AStartAngle, int ASweepAngle)
{
  if (IsRectEmpty(R) || ASweepAngle == 0)
    return;
  const int centerX = R.left + (R.right - R.left) / 2;
  const int centerY = R.top + (R.bottom - R.top) / 2;
  const double a = (R.right - R.left) / 2;
  const double b = (R.bottom - R.top) / 2;
  // The point where the ray of the angle meets the ellipse.
  const auto pointAt = [&](int AAngle) {
    const double theta = AAngle * std::numbers::pi / 180;
    const double s = std::sin(theta);
    const double c = std::cos(theta);
    const double r = (a == 0 || b == 0) ? 0 : a * b / std::sqrt(a * a * s * s + b * b * c * c);
    return TPoint{centerX + static_cast<int>(rtl::Round(r * c)), centerY - static_cast<int>(rtl::Round(r * s))};
  };
  const TPoint start = pointAt(AStartAngle);
  const TPoint finish = ASweepAngle == 360 ? start : pointAt(AStartAngle + ASweepAngle);
  // GDI draws the whole ellipse for equal points: right for 360, wrong for
  // a small sweep that rounds to one point.
  if (start.x == finish.x && start.y == finish.y && ASweepAngle <= 180)
    return;
  Pie(R, start, finish);
}

void TcxCanvas::PolyBezier(std::span<const TPoint> APoints)
{
  FCanvas->PolyBezier(APoints);
}

void TcxCanvas::PolyBezierTo(std::span<const TPoint> APoints)
{
  FCanvas->PolyBezierTo(APoints);
}

void TcxCanvas::Polygon(std::span<const TPoint> APoints)
{
  FCanvas->Polygon(APoints);
}

void TcxCanvas::Polyline(std::span<const TPoint> APoints)
{
  FCanvas->Polyline(APoints);
}

void TcxCanvas::Rectangle(const TRect& R)
{
  FCanvas->Rectangle(R);
}

void TcxCanvas::Rectangle(int X1, int Y1, int X2, int Y2)
{
  FCanvas->Rectangle(X1, Y1, X2, Y2);
}

void TcxCanvas::RoundRect(const TRect& R, int X, int Y)
{
  FCanvas->RoundRect(R.left, R.top, R.right, R.bottom, X, Y);
}

void TcxCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3)
{
  FCanvas->RoundRect(X1, Y1, X2, Y2, X3, Y3);
}

void TcxCanvas::SetPixel(int X, int Y, TColor AColor)
{
  FCanvas->SetPixel(X, Y, AColor);
}

void TcxCanvas::StretchDraw(const TRect& R, TGraphic* AGraphic)
{
  FCanvas->StretchDraw(R, AGraphic);
}

void TcxCanvas::TextOut(int X, int Y, const String& Text)
{
  FCanvas->TextOut(X, Y, Text);
}

// ---------------------------------------------------------------------------
// Fills and frames

bool TcxCanvas::PrepareBrush(TColor AColor)
{
  if (AColor == clNone)
    return false;
  if (AColor != clDefault)
    SetBrushColor(AColor);
  return true;
}

void TcxCanvas::FillRect(const TRect& R, TColor AColor)
{
  if (PrepareBrush(AColor))
    FCanvas->FillRect(R);
}

void TcxCanvas::FillRect(const TRect& R, TBitmap* ABitmap, bool AExcludeRect)
{
  if (IsRectEmpty(R))
    return;
  if (ABitmap && !ABitmap->GetEmpty()) {
    const int width = ABitmap->GetWidth();
    const int height = ABitmap->GetHeight();
    for (int column = FloorDiv(R.left, width); column <= FloorDiv(R.right - 1, width); ++column)
      for (int row = FloorDiv(R.top, height); row <= FloorDiv(R.bottom - 1, height); ++row) {
        const TRect cell{column * width, row * height, (column + 1) * width, (row + 1) * height};
        const TRect target = Intersection(cell, R);
        const TRect source{target.left - cell.left, target.top - cell.top, target.right - cell.left,
                           target.bottom - cell.top};
        FCanvas->CopyRect(target, ABitmap->GetCanvas(), source);
      }
  } else
    FCanvas->FillRect(R);
  if (AExcludeRect)
    ExcludeClipRect(R);
}

void TcxCanvas::FillRect(const TRect& R, const TcxViewParams& AParams, bool AExcludeRect)
{
  SetBrushColor(AParams.Color);
  FillRect(R, AParams.Bitmap, AExcludeRect);
}

void TcxCanvas::FrameRect(const TRect& R, TColor Color, int ALineWidth, TcxBorders ABorders, bool AExcludeFrame)
{
  if (IsRectEmpty(R) || !PrepareBrush(Color))
    return;
  for (const TRect& strip : FrameStrips(R, ALineWidth, ABorders)) {
    FCanvas->FillRect(strip);
    if (AExcludeFrame)
      ExcludeClipRect(strip);
  }
}

void TcxCanvas::Rectangle(const TRect& R, const TcxViewParams& AParams, TcxBorders ABorders, TColor ABorderColor,
                          int ALineWidth, bool AExcludeRect)
{
  TRect content = R;
  if (!ABorders.Empty()) {
    FrameRect(R, ABorderColor, ALineWidth, ABorders, AExcludeRect);
    if (ABorders.Contains(bLeft))
      content.left += ALineWidth;
    if (ABorders.Contains(bTop))
      content.top += ALineWidth;
    if (ABorders.Contains(bRight))
      content.right -= ALineWidth;
    if (ABorders.Contains(bBottom))
      content.bottom -= ALineWidth;
  }
  FillRect(content, AParams, AExcludeRect);
}

void TcxCanvas::DrawComplexFrame(const TRect& R, TColor ALeftTopColor, TColor ARightBottomColor,
                                 TcxBorders ABorders, int ABorderWidth)
{
  if (ABorders.Contains(bLeft))
    FillRect(TRect{R.left, R.top, R.left + ABorderWidth, R.bottom}, ALeftTopColor);
  if (ABorders.Contains(bTop))
    FillRect(TRect{R.left, R.top, R.right, R.top + ABorderWidth}, ALeftTopColor);
  if (ABorders.Contains(bRight))
    FillRect(TRect{R.right - ABorderWidth, R.top, R.right, R.bottom}, ARightBottomColor);
  if (ABorders.Contains(bBottom))
    FillRect(TRect{R.left, R.bottom - ABorderWidth, R.right, R.bottom}, ARightBottomColor);
}

void TcxCanvas::DrawEdge(const TRect& R, bool ASunken, bool AOuter, TcxBorders ABorders)
{
  // Left-top and right-bottom colour of each of the four edges.
  static constexpr TColor Colors[2][2][2] = {
      // inner: raised, sunken
      {{clBtnHighlight, clBtnShadow}, {cl3DDkShadow, cl3DLight}},
      // outer: raised, sunken
      {{cl3DLight, cl3DDkShadow}, {clBtnShadow, clBtnHighlight}}};
  const auto& colors = Colors[AOuter][ASunken];
  DrawComplexFrame(R, colors[0], colors[1], ABorders, 1);
}

void TcxCanvas::DrawFocusRect(const TRect& R)
{
  // The focus pattern takes its colours from the DC's background and text
  // colours, which the brush and the font set.
  SetBrushColor(clWhite);
  GetFont()->SetColor(clBlack);
  GetHandle();
  FCanvas->DrawFocusRect(R);
}

void TcxCanvas::DrawFocusRectEx(const TRect& R, TcxBorders ABorders, bool AExclude)
{
  if (ABorders.Empty())
    return;
  SaveClipRegion();
  ExcludeFrameRect(R, 1, cxBordersAll - ABorders);
  DrawFocusRect(R);
  RestoreClipRegion();
  if (AExclude)
    ExcludeFrameRect(R, 1, ABorders);
}

void TcxCanvas::DrawDesignSelection(const TRect& ARect, int AWidth)
{
  for (int i = 0; i < AWidth; ++i)
    DrawFocusRect(TRect{ARect.left + i, ARect.top + i, ARect.right - i, ARect.bottom - i});
}

void TcxCanvas::InvertRect(const TRect& R)
{
  SetCopyMode(cmDstInvert);
  CopyRect(R, FCanvas, R);
  SetCopyMode(cmSrcCopy);
}

void TcxCanvas::InvertFrame(const TRect& R, int ABorderSize)
{
  InvertRect(TRect{R.left, R.top, R.left + ABorderSize, R.bottom});
  InvertRect(TRect{R.right - ABorderSize, R.top, R.right, R.bottom});
  InvertRect(TRect{R.left + ABorderSize, R.top, R.right - ABorderSize, R.top + ABorderSize});
  InvertRect(TRect{R.left + ABorderSize, R.bottom - ABorderSize, R.right - ABorderSize, R.bottom});
}

void TcxCanvas::FillRegion(TcxRegion* ARegion, TColor AColor)
{
  if (ARegion)
    FillRegion(ARegion->GetHandle(), AColor);
}

void TcxCanvas::FillRegion(HRGN ARegion, TColor AColor)
{
  if (PrepareBrush(AColor))
    FillRgn(GetHandle(), ARegion, GetBrush()->GetHandle());
}

void TcxCanvas::FrameRegion(TcxRegion* ARegion, TColor AColor, int ABorderWidth, int ABorderHeight)
{
  if (ARegion)
    FrameRegion(ARegion->GetHandle(), AColor, ABorderWidth, ABorderHeight);
}

void TcxCanvas::FrameRegion(HRGN ARegion, TColor AColor, int ABorderWidth, int ABorderHeight)
{
  if (PrepareBrush(AColor))
    FrameRgn(GetHandle(), ARegion, GetBrush()->GetHandle(), ABorderWidth, ABorderHeight);
}

void TcxCanvas::DrawRegion(TcxRegion* ARegion, TColor AContentColor, TColor ABorderColor, int ABorderWidth,
                           int ABorderHeight)
{
  if (ARegion)
    DrawRegion(ARegion->GetHandle(), AContentColor, ABorderColor, ABorderWidth, ABorderHeight);
}

void TcxCanvas::DrawRegion(HRGN ARegion, TColor AContentColor, TColor ABorderColor, int ABorderWidth,
                           int ABorderHeight)
{
  FillRegion(ARegion, AContentColor);
  FrameRegion(ARegion, ABorderColor, ABorderWidth, ABorderHeight);
}

// ---------------------------------------------------------------------------
// Glyphs and bitmaps

void TcxCanvas::DrawGlyph(int X, int Y, TBitmap* AGlyph, bool AEnabled, TColor ABackgroundColor)
{
  if (!AGlyph || AGlyph->GetEmpty())
    return;
  const int width = AGlyph->GetWidth();
  const int height = AGlyph->GetHeight();
  const TRect target{X, Y, X + width, Y + height};
  if (AEnabled) {
    const TBrushStyle style = GetBrush()->GetStyle();
    if (ABackgroundColor == clNone)
      GetBrush()->SetStyle(bsClear);
    else
      SetBrushColor(ABackgroundColor);
    FCanvas->BrushCopy(target, AGlyph, TRect{0, 0, width, height}, AGlyph->GetTransparentColor());
    GetBrush()->SetStyle(style);
    return;
  }
  if (ABackgroundColor != clNone)
    FillRect(target, ABackgroundColor);
  // The disabled look: the glyph's dark shape embossed, in the highlight
  // colour one pixel down and right, then in the shadow colour. Its white
  // and transparent pixels stay out of the shape.
  const TOwnedDC monoDC(CreateCompatibleDC(nullptr));
  const TOwnedBitmap mono(CreateBitmap(width, height, 1, 1, nullptr));
  const TSelectObjectGuard selectMono(monoDC.Get(), mono.Get());
  const HBITMAP mask = AGlyph->GetMaskHandle();
  const HDC glyphDC = AGlyph->GetCanvas()->GetHandle();
  const COLORREF oldGlyphBk = SetBkColor(glyphDC, RGB(255, 255, 255));
  BitBlt(monoDC.Get(), 0, 0, width, height, glyphDC, 0, 0, SRCCOPY);
  SetBkColor(glyphDC, oldGlyphBk);
  {
    const TOwnedDC maskDC(CreateCompatibleDC(nullptr));
    const TSelectObjectGuard selectMask(maskDC.Get(), mask);
    BitBlt(monoDC.Get(), 0, 0, width, height, maskDC.Get(), 0, 0, SRCPAINT);
  }
  // Now the shape is black; it is wanted white, where the blits below
  // take the brush.
  BitBlt(monoDC.Get(), 0, 0, width, height, nullptr, 0, 0, DSTINVERT);
  const HDC dc = GetHandle();
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
  // The brush where the source is white, the destination where it is black.
  constexpr DWORD ROP_DSPDxax = 0x00E20746;
  for (const auto& [offset, color] : {std::pair{1, clBtnHighlight}, std::pair{0, clBtnShadow}}) {
    const TOwnedBrush brush(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(color))));
    const TSelectObjectGuard selectBrush(dc, brush.Get());
    BitBlt(dc, X + offset, Y + offset, width, height, monoDC.Get(), 0, 0, ROP_DSPDxax);
  }
  SetBkColor(dc, oldBk);
  SetTextColor(dc, oldText);
}

void TcxCanvas::FlipHorizontally(TBitmap* ABitmap)
{
  if (!ABitmap || ABitmap->GetEmpty())
    return;
  std::vector<std::uint32_t> pixels = cxReadBitmapPixels(ABitmap);
  const int width = ABitmap->GetWidth();
  for (auto row = pixels.begin(); row != pixels.end(); row += width)
    std::reverse(row, row + width);
  cxWriteBitmapPixels(ABitmap, pixels);
}

void TcxCanvas::RotateBitmap(TBitmap* ABitmap, TcxRotationAngle ARotationAngle, bool AFlipVertically)
{
  if (!ABitmap || ABitmap->GetEmpty() || (ARotationAngle == ra0 && !AFlipVertically))
    return;
  const std::vector<std::uint32_t> source = cxReadBitmapPixels(ABitmap);
  const int W = ABitmap->GetWidth();
  const int H = ABitmap->GetHeight();
  const bool turns = ARotationAngle == raPlus90 || ARotationAngle == raMinus90;
  const int newWidth = turns ? H : W;
  std::vector<std::uint32_t> target(source.size());
  for (int i = 0; i < H; ++i)
    for (int j = 0; j < W; ++j) {
      int row = 0;
      int column = 0;
      switch (ARotationAngle) {
        case ra0:
          row = H - 1 - i;
          column = j;
          break;
        case raPlus90:
          row = AFlipVertically ? j : W - 1 - j;
          column = i;
          break;
        case raMinus90:
          row = AFlipVertically ? W - 1 - j : j;
          column = H - 1 - i;
          break;
        case ra180:
          row = AFlipVertically ? i : H - 1 - i;
          column = W - 1 - j;
          break;
      }
      target[static_cast<std::size_t>(row) * newWidth + column] = source[static_cast<std::size_t>(i) * W + j];
    }
  if (turns) {
    ABitmap->SetHeight(0);
    ABitmap->SetWidth(H);
    ABitmap->SetHeight(W);
  }
  cxWriteBitmapPixels(ABitmap, target);
}

void TcxCanvas::TransparentDraw(int X, int Y, TBitmap* ABitmap, std::uint8_t AAlpha, TBitmap* ABackground)
{
  if (!ABitmap || ABitmap->GetEmpty())
    return;
  const int width = ABitmap->GetWidth();
  const int height = ABitmap->GetHeight();
  const rtl::TOwnedPtr<TBitmap> blended(rtl::New<TBitmap>());
  blended->SetPixelFormat(pf32bit);
  blended->SetSize(width, height);
  if (ABackground)
    blended->GetCanvas()->Draw(0, 0, ABackground);
  else
    blended->GetCanvas()->CopyRect(TRect{0, 0, width, height}, FCanvas, TRect{X, Y, X + width, Y + height});
  // The per-byte mix that AlphaBlend with a constant alpha does; the fourth
  // byte stays the background's.
  std::vector<std::uint32_t> pixels = cxReadBitmapPixels(blended.get());
  const std::vector<std::uint32_t> source = cxReadBitmapPixels(ABitmap);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    std::uint32_t mixed = pixels[i] & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
      const int dst = static_cast<int>(pixels[i] >> shift & 0xFF);
      const int src = static_cast<int>(source[i] >> shift & 0xFF);
      const int value = MulDiv(dst, 255 - AAlpha, 255) + MulDiv(src, AAlpha, 255);
      mixed |= static_cast<std::uint32_t>(value) << shift;
    }
    pixels[i] = mixed;
  }
  cxWriteBitmapPixels(blended.get(), pixels);
  Draw(X, Y, blended.get());
}

// ---------------------------------------------------------------------------
// Text

TSize TcxCanvas::TextExtent(const String& Text)
{
  return FCanvas->TextExtent(Text);
}

int TcxCanvas::FontHeight(TFont* AFont)
{
  SetFont(AFont);
  TEXTMETRICW metrics{};
  GetTextMetricsW(GetHandle(), &metrics);
  return metrics.tmHeight;
}

void TcxCanvas::TextExtent(const String& Text, TRect& R, int Flags)
{
  const int oldWidth = R.right - R.left;
  const int oldHeight = R.bottom - R.top;
  const UINT flags = cxTextFlagsToDrawTextFlags(Flags);
  if (oldWidth <= 0 && !Text.empty())
    R.right = R.left + 1;
  // Measured at the top: DrawText moves a single line it measures down
  // for DT_BOTTOM on some systems, and the alignment below does it again.
  if (DrawTextWithColor(GetHandle(), Text, R, clDefault, (flags & ~(DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT) == 0) {
    R.right = R.left;
    R.bottom = R.top;
  }
  const int newWidth = R.right - R.left;
  const int newHeight = R.bottom - R.top;
  if (flags & DT_CENTER)
    OffsetRect(&R, (oldWidth - newWidth) / 2, 0);
  else if (flags & DT_RIGHT)
    OffsetRect(&R, oldWidth - newWidth, 0);
  if (flags & DT_VCENTER)
    OffsetRect(&R, 0, (oldHeight - newHeight) / 2);
  else if (flags & DT_BOTTOM)
    OffsetRect(&R, 0, oldHeight - newHeight);
}

void TcxCanvas::DrawTexT(const String& Text, const TRect& R, int Flags, bool Enabled)
{
  DrawTexT(Text, R, Flags, Enabled, ra0);
}

void TcxCanvas::DrawTexT(const String& Text, const TRect& R, rtl::TAlignment AAlignmentHorz,
                         TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis)
{
  static constexpr int Horz[] = {cxtfAlignLeft, cxtfAlignRight, cxtfAlignHCenter};
  static constexpr int Vert[] = {cxtfAlignTop, cxtfAlignBottom, cxtfAlignVCenter};
  const int flags = Horz[AAlignmentHorz] | Vert[AAlignmentVert] | (AMultiLine ? cxtfWordBreak : cxtfSingleLine) |
                    (AShowEndEllipsis ? cxtfEndEllipsis : 0);
  DrawTexT(Text, R, flags, true);
}

void TcxCanvas::DrawTexT(const String& Text, const TRect& R, int Flags, bool Enabled,
                         TcxRotationAngle ARotationAngle)
{
  if (Text.empty())
    return;
  const bool drawTextRoute = !(Flags & cxtfSingleLine) || ARotationAngle != ra0 ||
                             (Flags & (cxtfShowPrefix | cxtfEndEllipsis | cxtfPathEllipsis));
  const TSize extent = TextExtent(Text);
  TRect bounds = R;
  const int width = R.right - R.left;
  const int height = R.bottom - R.top;
  if (extent.cx <= width && extent.cy <= height)
    Flags |= cxtfNoClip;
  // Room for the highlight copy of disabled text.
  const int shadow = Enabled ? 0 : 1;
  UINT drawTextFlags = 0;
  int options = 0;
  if (drawTextRoute) {
    if (!(Flags & cxtfSingleLine) && ARotationAngle == ra0 && (Flags & (cxtfAlignBottom | cxtfAlignVCenter)))
      AlignMultiLineTextRectVertically(bounds, Text, (Flags & cxtfAlignBottom) ? vaBottom : vaCenter,
                                       Flags & cxtfWordBreak, Flags & cxtfShowPrefix, Enabled,
                                       Flags & cxtfNoCharBreak, Flags & cxtfEndEllipsis);
    drawTextFlags = cxTextFlagsToDrawTextFlags(Flags);
  } else {
    if (extent.cx < width) {
      if (Flags & cxtfAlignRight)
        bounds.left = bounds.right - extent.cx - shadow;
      else if (Flags & cxtfAlignHCenter)
        bounds.left = (bounds.left + bounds.right - extent.cx) / 2;
    }
    if (extent.cy < height) {
      if (Flags & cxtfAlignBottom)
        bounds.top = bounds.bottom - extent.cy - shadow;
      else if (Flags & cxtfAlignVCenter)
        bounds.top = (bounds.top + bounds.bottom - extent.cy) / 2;
    }
    options = (Flags & cxtfNoClip) ? 0 : ETO_CLIPPED;
    options |= GetTextFlags() & ETO_RTLREADING;
  }

  const TBrushStyle brushStyle = GetBrush()->GetStyle();
  const TColor fontColor = GetFont()->GetColor();
  if (!Enabled) {
    GetBrush()->SetStyle(bsClear);
    GetFont()->SetColor(clBtnHighlight);
    TRect highlight = bounds;
    OffsetRect(&highlight, 1, 1);
    DrawTextOnce(Text, highlight, drawTextFlags, options, drawTextRoute, ARotationAngle);
    GetFont()->SetColor(clBtnShadow);
  }
  DrawTextOnce(Text, bounds, drawTextFlags, options, drawTextRoute, ARotationAngle);
  if (GetBrush()->GetStyle() != brushStyle)
    GetBrush()->SetStyle(brushStyle);
  GetFont()->SetColor(fontColor);
}

void TcxCanvas::DrawTextOnce(const String& Text, const TRect& R, UINT ADrawTextFlags, int AOptions,
                             bool ADrawTextRoute, TcxRotationAngle ARotationAngle)
{
  if (!ADrawTextRoute) {
    ExtTextOutW(GetHandle(), R.left, R.top, static_cast<UINT>(AOptions), &R, Text.c_str(),
                static_cast<UINT>(Text.size()), nullptr);
    return;
  }
  if (ARotationAngle == ra0) {
    DrawCanvasText(FCanvas, Text, R, clDefault, ADrawTextFlags);
    return;
  }
  // Turned text: the pixels under R are turned back, the text is written
  // across them, and the result is turned into place.
  if (IsRectEmpty(R))
    return;
  const rtl::TOwnedPtr<TBitmap> bitmap(rtl::New<TBitmap>());
  bitmap->SetPixelFormat(pf32bit);
  bitmap->SetSize(R.right - R.left, R.bottom - R.top);
  bitmap->GetCanvas()->CopyRect(TRect{0, 0, R.right - R.left, R.bottom - R.top}, FCanvas, R);
  RotateBitmap(bitmap.get(), OppositeAngle(ARotationAngle));
  TCanvas* canvas = bitmap->GetCanvas();
  canvas->SetFont(GetFont());
  canvas->SetTextFlags(GetTextFlags());
  DrawCanvasText(canvas, Text, TRect{0, 0, bitmap->GetWidth(), bitmap->GetHeight()}, clDefault, ADrawTextFlags);
  RotateBitmap(bitmap.get(), ARotationAngle);
  FCanvas->CopyRect(R, bitmap->GetCanvas(), TRect{0, 0, R.right - R.left, R.bottom - R.top});
}

void TcxCanvas::AlignMultiLineTextRectVertically(TRect& R, const String& AText, TcxAlignmentVert AAlignmentVert,
                                                 bool AWordBreak, bool AShowPrefix, bool AEnabled,
                                                 bool ADontBreakChars, bool AEndEllipsis)
{
  if (AAlignmentVert == vaTop)
    return;
  const int shadow = AEnabled ? 0 : 1;
  TRect measured{0, 0, R.right - R.left - shadow, 0};
  int flags = cxtfAlignLeft | cxtfAlignTop;
  if (AWordBreak)
    flags |= cxtfWordBreak;
  if (AShowPrefix)
    flags |= cxtfShowPrefix;
  if (ADontBreakChars)
    flags |= cxtfNoCharBreak;
  int height;
  if (AEndEllipsis && AWordBreak) {
    // The ellipsis cuts the text at a whole line: take as many lines as fit.
    const int lineHeight = TextHeight(L"Zq");
    height = lineHeight > 0 ? std::max(lineHeight, lineHeight * ((static_cast<int>(R.bottom - R.top) - shadow) / lineHeight)) : 0;
  } else {
    TextExtent(AText, measured, flags);
    height = measured.bottom - measured.top;
  }
  if (AAlignmentVert == vaBottom)
    R.top = R.bottom - shadow - height;
  else
    R.top = (R.top + R.bottom - height) / 2;
}

void TcxCanvas::GetTextStringsBounds(String Text, TRect R, int Flags, bool Enabled, std::vector<TRect>& ABounds)
{
  if (Text.empty())
    return;
  if (Flags & cxtfShowPrefix) {
    Text = dxStripAmpersands(Text);
    Flags &= ~cxtfShowPrefix;
  }
  if (!Enabled) {
    --R.right;
    --R.bottom;
  }
  TRect block = R;
  TextExtent(Text, block, Flags);
  if (Flags & cxtfAlignBottom)
    OffsetRect(&block, 0, R.bottom - block.bottom);
  else if (Flags & cxtfAlignVCenter)
    OffsetRect(&block, 0, (R.bottom - block.bottom) / 2);
  const bool alignLeft = !(Flags & (cxtfAlignRight | cxtfAlignHCenter));
  const HDC dc = GetHandle();
  int top = block.top;
  while (!Text.empty()) {
    const int length = static_cast<int>(Text.size());
    int fit = 0;
    TSize size{};
    GetTextExtentExPointW(dc, Text.c_str(), length, R.right - R.left, &fit, nullptr, &size);
    fit = std::clamp(fit, 1, length);
    int lineLength = fit;
    int dropped = 0;
    const std::size_t lineBreak = Text.find_first_of(L"\r\n");
    if (lineBreak < static_cast<std::size_t>(fit)) {
      lineLength = static_cast<int>(lineBreak);
      dropped = 1;
      const wchar_t next = lineLength + 1 < length ? Text[lineLength + 1] : L'\0';
      if ((next == L'\r' || next == L'\n') && next != Text[lineLength])
        dropped = 2;
    } else if (fit < length && Text[fit - 1] != L' ' && Text[fit] != L' ') {
      const std::size_t space = Text.rfind(L' ', fit - 1);
      if (space != String::npos) {
        lineLength = static_cast<int>(space) + 1;
        if (!alignLeft) {
          lineLength = static_cast<int>(space);
          dropped = 1;
        }
      }
    }
    GetTextExtentPoint32W(dc, Text.c_str(), lineLength, &size);
    int left = R.left;
    if (Flags & cxtfAlignRight)
      left = R.right - size.cx;
    else if (Flags & cxtfAlignHCenter)
      left = (R.left + R.right - size.cx) / 2;
    ABounds.push_back(TRect{left, top, left + size.cx, top + size.cy});
    top += size.cy;
    Text.erase(0, static_cast<std::size_t>(lineLength + dropped));
  }
}

// ---------------------------------------------------------------------------
// TcxControlCanvas

void TcxControlCanvas::BeginPaint()
{
  const HDC dc = GetHandle();
  GetWindowOrgEx(dc, &FOrigin);
  SetBrushOrgEx(dc, FOrigin.x, FOrigin.y, &FBrushOrigin);
}

void TcxControlCanvas::EndPaint()
{
  SetBrushOrgEx(GetHandle(), FBrushOrigin.x, FBrushOrigin.y, nullptr);
  FBrushOrigin = TPoint{};
  FOrigin = TPoint{};
}

TPoint TcxControlCanvas::GetWindowOrg() const
{
  const TPoint origin = inherited::GetWindowOrg();
  return TPoint{origin.x - FOrigin.x, origin.y - FOrigin.y};
}

void TcxControlCanvas::SetWindowOrg(const TPoint& P)
{
  inherited::SetWindowOrg(TPoint{FOrigin.x + P.x, FOrigin.y + P.y});
}

// ---------------------------------------------------------------------------
// TScreenCanvas

void TScreenCanvas::Destroy()
{
  FreeHandle();
  inherited::Destroy();
}

void TScreenCanvas::CreateHandle()
{
  FWindowHandle = GetDesktopWindow();
  FDeviceContext = GetDCEx(FWindowHandle, nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE);
  SetHandle(FDeviceContext);
}

void TScreenCanvas::FreeHandle()
{
  if (!FDeviceContext)
    return;
  SetHandle(nullptr);
  // Back to the desktop window it was borrowed from (GetDCEx).
  const vcl::TWindowDC borrowed(FWindowHandle, std::exchange(FDeviceContext, nullptr));
}

// ---------------------------------------------------------------------------
// TcxScreenCanvas

void TcxScreenCanvas::Create()
{
  inherited::Create(rtl::New<TScreenCanvas>());
}

void TcxScreenCanvas::Destroy()
{
  TCanvas* canvas = GetCanvas();
  inherited::Destroy();
  rtl::Free(canvas);
}

void TcxScreenCanvas::Dormant()
{
  static_cast<TScreenCanvas*>(GetCanvas())->FreeHandle();
}

// ---------------------------------------------------------------------------
// TcxPaintCanvas

void TcxPaintCanvas::Create(TCanvas* ACanvas)
{
  inherited::Create(ACanvas);
}

void TcxPaintCanvas::Destroy()
{
  // A pass left open would keep its temporary canvas.
  while (FCounter > 0)
    EndPaint();
  inherited::Destroy();
}

void TcxPaintCanvas::BeginPaint(HDC ADC)
{
  FSavedStates.push_back(TcxPaintCanvasState{GetCanvas(), ::SaveDC(ADC)});
  SetCanvas(rtl::NewWith<TCanvas>([&](TCanvas* ACanvas) { ACanvas->CreateOnDC(ADC); }));
  SaveState();
  ++FCounter;
}

void TcxPaintCanvas::BeginPaint(TCanvas* ACanvas)
{
  FSavedStates.push_back(TcxPaintCanvasState{GetCanvas(), 0});
  SetCanvas(ACanvas);
  SaveState();
  ++FCounter;
}

void TcxPaintCanvas::EndPaint()
{
  if (FCounter <= 0)
    return;
  --FCounter;
  RestoreState();
  const TcxPaintCanvasState state = FSavedStates.back();
  FSavedStates.pop_back();
  if (state.FSaveDC != 0) {
    TCanvas* temporary = GetCanvas();
    const HDC dc = temporary->GetHandle();
    rtl::Free(temporary);
    ::RestoreDC(dc, state.FSaveDC);
  }
  SetCanvas(state.PrevCanvas);
}

// ---------------------------------------------------------------------------
// Shared canvases

TcxScreenCanvas* cxScreenCanvas()
{
  if (!ScreenCanvas && !UnitFinished)
    ScreenCanvas = rtl::New<TcxScreenCanvas>();
  return ScreenCanvas;
}

TcxPaintCanvas* cxPaintCanvas()
{
  if (!PaintCanvas && !UnitFinished)
    PaintCanvas = rtl::New<TcxPaintCanvas>();
  return PaintCanvas;
}
