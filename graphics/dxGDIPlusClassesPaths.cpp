// Paths, regions, string formats, font families, fonts and the memory stream
// in the library's memory.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "graphics/dxGDIPlusClasses.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/GraphicsHandles.h"

using enum vcl::TFontStyle;
using enum vcl::TPenStyle;

namespace {

// A canvas on the screen's device context for the length of a call; the
// font measurements that need a graphics take the screen's.
class TdxGpScreenCanvas {
 public:
  TdxGpScreenCanvas()
    : FCanvas(rtl::NewWith<TdxGPCanvas>([this](TdxGPCanvas* ACanvas) { ACanvas->Create(FScreen.Get()); })) {}
  TdxGPCanvas* Canvas() const { return FCanvas.get(); }

 private:
  vcl::TScreenDC FScreen;
  rtl::TOwnedPtr<TdxGPCanvas> FCanvas;
};

float ScreenPixelsPerInchY()
{
  vcl::TScreenDC screen;
  return static_cast<float>(GetDeviceCaps(screen.Get(), LOGPIXELSY));
}

Gdiplus::GpGraphics* GraphicsOf(TdxGPCanvas* ACanvas)
{
  return ACanvas ? ACanvas->Handle() : nullptr;
}

// Text added to a path without a format is laid out with a default one made
// for the call: Windows takes none as the default, but Wine's library
// answers InvalidParameter for none.
class TdxGpPathStringFormat {
 public:
  explicit TdxGpPathStringFormat(TdxGPStringFormat* AFormat)
  {
    if (!AFormat)
      FOwned.reset(rtl::New<TdxGPStringFormat>(0, static_cast<WORD>(LANG_NEUTRAL)));
    FHandle = AFormat ? AFormat->Handle() : FOwned->Handle();
  }
  Gdiplus::GpStringFormat* Handle() const { return FHandle; }

 private:
  rtl::TOwnedPtr<TdxGPStringFormat> FOwned;
  Gdiplus::GpStringFormat* FHandle;
};

Gdiplus::GpFontFamily* FamilyOf(TdxGPFontFamily* AFamily)
{
  return AFamily ? AFamily->Handle() : nullptr;
}

const Gdiplus::GpPoint* NativePoints(const TPoint* APoints)
{
  static_assert(sizeof(TPoint) == sizeof(Gdiplus::GpPoint));
  return reinterpret_cast<const Gdiplus::GpPoint*>(APoints);
}

const Gdiplus::GpPointF* NativePoints(const TdxPointF* APoints)
{
  static_assert(sizeof(TdxPointF) == sizeof(Gdiplus::GpPointF));
  return reinterpret_cast<const Gdiplus::GpPointF*>(APoints);
}

Gdiplus::GpRectF NativeRect(const TdxRectF& R)
{
  return {R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top};
}

Gdiplus::GpRect NativeRect(const TRect& R)
{
  return {R.left, R.top, R.right - R.left, R.bottom - R.top};
}

int Length(const rtl::String& S)
{
  return static_cast<int>(S.size());
}

}  // namespace

// ---------------------------------------------------------------------------
// TdxGPPath

void TdxGPPath::Create(TdxGPFillMode AFillMode)
{
  dxGpCheck(dxGpFunctions.GdipCreatePath(static_cast<Gdiplus::FillMode>(AFillMode), &FHandle));
}

void TdxGPPath::Create(const TdxGpPointFDynArray& APoints, const std::vector<BYTE>& APointTypes)
{
  // One type byte per point; a short type array must not be read beyond.
  const int count = static_cast<int>(std::min(APoints.size(), APointTypes.size()));
  static_assert(sizeof(TdxGpPointF) == sizeof(Gdiplus::GpPointF));
  dxGpCheck(dxGpFunctions.GdipCreatePath2(reinterpret_cast<const Gdiplus::GpPointF*>(APoints.data()),
                                          APointTypes.data(), count, Gdiplus::FillModeAlternate, &FHandle));
}

void TdxGPPath::Destroy()
{
  if (FHandle)
    dxGpCheck(dxGpFunctions.GdipDeletePath(FHandle));
  inherited::Destroy();
}

void TdxGPPath::Assign(TdxGPPath* ASource)
{
  if (ASource == this)
    return;
  Gdiplus::GpPath* clone = nullptr;
  dxGpCheck(dxGpFunctions.GdipClonePath(ASource->FHandle, &clone));
  dxGpFunctions.GdipDeletePath(FHandle);
  FHandle = clone;
}

void TdxGPPath::FigureStart()
{
  dxGpCheck(dxGpFunctions.GdipStartPathFigure(FHandle));
}

void TdxGPPath::FigureFinish()
{
  dxGpCheck(dxGpFunctions.GdipClosePathFigure(FHandle));
}

void TdxGPPath::Reset()
{
  dxGpCheck(dxGpFunctions.GdipResetPath(FHandle));
}

void TdxGPPath::AddArc(float X, float Y, float Width, float Height, float StartAngle, float SweepAngle)
{
  dxGpCheck(dxGpFunctions.GdipAddPathArc(FHandle, X, Y, Width, Height, StartAngle, SweepAngle));
}

void TdxGPPath::AddBezier(const TdxPointF& P1, const TdxPointF& P2, const TdxPointF& P3, const TdxPointF& P4)
{
  dxGpCheck(dxGpFunctions.GdipAddPathBezier(FHandle, P1.X, P1.Y, P2.X, P2.Y, P3.X, P3.Y, P4.X, P4.Y));
}

void TdxGPPath::AddEllipse(const TRect& R)
{
  dxGpCheck(dxGpFunctions.GdipAddPathEllipseI(FHandle, R.left, R.top, R.right - R.left, R.bottom - R.top));
}

void TdxGPPath::AddEllipse(const TdxRectF& R)
{
  dxGpCheck(dxGpFunctions.GdipAddPathEllipse(FHandle, R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top));
}

void TdxGPPath::AddLine(float X1, float Y1, float X2, float Y2)
{
  dxGpCheck(dxGpFunctions.GdipAddPathLine(FHandle, X1, Y1, X2, Y2));
}

void TdxGPPath::AddPath(TdxGPPath* Path)
{
  dxGpCheck(dxGpFunctions.GdipAddPathPath(FHandle, Path->FHandle, TRUE));
}

void TdxGPPath::AddPie(float X, float Y, float Width, float Height, float StartAngle, float SweepAngle)
{
  dxGpCheck(dxGpFunctions.GdipAddPathPie(FHandle, X, Y, Width, Height, StartAngle, SweepAngle));
}

void TdxGPPath::AddPolygon(std::span<const TPoint> APoints)
{
  dxGpCheck(dxGpFunctions.GdipAddPathPolygonI(FHandle, NativePoints(APoints.data()), static_cast<int>(APoints.size())));
}

void TdxGPPath::AddPolygon(std::span<const TdxPointF> APoints)
{
  dxGpCheck(dxGpFunctions.GdipAddPathPolygon(FHandle, NativePoints(APoints.data()), static_cast<int>(APoints.size())));
}

void TdxGPPath::AddPolyline(std::span<const TPoint> APoints)
{
  dxGpCheck(dxGpFunctions.GdipAddPathLine2I(FHandle, NativePoints(APoints.data()), static_cast<int>(APoints.size())));
}

void TdxGPPath::AddPolyline(std::span<const TdxPointF> APoints)
{
  dxGpCheck(dxGpFunctions.GdipAddPathLine2(FHandle, NativePoints(APoints.data()), static_cast<int>(APoints.size())));
}

void TdxGPPath::AddRect(const TRect& R)
{
  dxGpCheck(dxGpFunctions.GdipAddPathRectangleI(FHandle, R.left, R.top, R.right - R.left, R.bottom - R.top));
}

void TdxGPPath::AddRect(const TdxRectF& R)
{
  dxGpCheck(dxGpFunctions.GdipAddPathRectangle(FHandle, R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top));
}

void TdxGPPath::AddRoundRect(const TRect& R, int ARadiusX, int ARadiusY)
{
  AddRoundRect(TdxRectF(R), static_cast<float>(ARadiusX), static_cast<float>(ARadiusY));
}

void TdxGPPath::AddRoundRect(const TdxRectF& R, float ARadiusX, float ARadiusY)
{
  const float rx = std::min((R.Right - R.Left) / 3, ARadiusX);
  const float ry = std::min((R.Bottom - R.Top) / 3, ARadiusY);
  FigureStart();
  // The figure is closed whatever happens, so a failed step leaves no open
  // figure for the next shape to join.
  struct TFinish {
    TdxGPPath* Path;
    ~TFinish() { dxGpFunctions.GdipClosePathFigure(Path->FHandle); }
  } finish{this};
  if (rx <= 0 || ry <= 0) {
    AddRect(R);
    return;
  }
  // The library joins each arc to the end of the previous segment.
  AddLine(R.Left + rx, R.Top, R.Right - 2 * rx, R.Top);
  AddArc(R.Right - 2 * rx, R.Top, 2 * rx, 2 * ry, 270, 90);
  AddLine(R.Right, R.Top + ry, R.Right, R.Bottom - 2 * ry);
  AddArc(R.Right - 2 * rx, R.Bottom - 2 * ry, 2 * rx, 2 * ry, 0, 90);
  AddLine(R.Right - 2 * rx, R.Bottom, R.Left + rx, R.Bottom);
  AddArc(R.Left, R.Bottom - 2 * ry, 2 * rx, 2 * ry, 90, 90);
  AddLine(R.Left, R.Bottom - 2 * ry, R.Left, R.Top + ry);
  AddArc(R.Left, R.Top, 2 * rx, 2 * ry, 180, 90);
}

void TdxGPPath::AddString(const rtl::String& S, TdxGPFont* AFont, TdxGPStringFormat* AFormat, const TdxRectF& ARect)
{
  const float emSize = AFont->SizeInPoints() * ScreenPixelsPerInchY() / 72;
  const Gdiplus::GpRectF layout = NativeRect(ARect);
  const TdxGpPathStringFormat format(AFormat);
  dxGpCheck(dxGpFunctions.GdipAddPathString(FHandle, S.c_str(), Length(S), FamilyOf(AFont->FontFamily()),
                                            AFont->Style(), emSize, &layout, format.Handle()));
}

void TdxGPPath::AddString(const rtl::String& S, TdxGPFont* AFont, TdxGPStringFormat* AFormat, const TdxPointF& AOrigin)
{
  AddString(S, AFont, AFormat, TdxRectF(AOrigin.X, AOrigin.Y, AOrigin.X, AOrigin.Y));
}

void TdxGPPath::AddString(const rtl::String& S, TdxGPFontFamily* AFamily, int AStyle, float AEmSize,
                          const TdxPointF& AOrigin, TdxGPStringFormat* AFormat)
{
  AddString(S, AFamily, AStyle, AEmSize, TdxRectF(AOrigin.X, AOrigin.Y, AOrigin.X, AOrigin.Y), AFormat);
}

void TdxGPPath::AddString(const rtl::String& S, TdxGPFontFamily* AFamily, int AStyle, float AEmSize,
                          const TPoint& AOrigin, TdxGPStringFormat* AFormat)
{
  AddString(S, AFamily, AStyle, AEmSize, TRect{AOrigin.x, AOrigin.y, AOrigin.x, AOrigin.y}, AFormat);
}

void TdxGPPath::AddString(const rtl::String& S, TdxGPFontFamily* AFamily, int AStyle, float AEmSize,
                          const TdxRectF& ALayoutRect, TdxGPStringFormat* AFormat)
{
  const Gdiplus::GpRectF layout = NativeRect(ALayoutRect);
  const TdxGpPathStringFormat format(AFormat);
  dxGpCheck(dxGpFunctions.GdipAddPathString(FHandle, S.c_str(), Length(S), FamilyOf(AFamily), AStyle, AEmSize, &layout,
                                            format.Handle()));
}

void TdxGPPath::AddString(const rtl::String& S, TdxGPFontFamily* AFamily, int AStyle, float AEmSize,
                          const TRect& ALayoutRect, TdxGPStringFormat* AFormat)
{
  const Gdiplus::GpRect layout = NativeRect(ALayoutRect);
  const TdxGpPathStringFormat format(AFormat);
  dxGpCheck(dxGpFunctions.GdipAddPathStringI(FHandle, S.c_str(), Length(S), FamilyOf(AFamily), AStyle,
                                             AEmSize, &layout, format.Handle()));
}

void TdxGPPath::AddString(const rtl::String& S, vcl::TFont* AFont, float AEmSize, const TRect& ARect)
{
  rtl::TOwnedPtr<TdxGPStringFormat> format(rtl::New<TdxGPStringFormat>(0, static_cast<WORD>(LANG_NEUTRAL)));
  rtl::TOwnedPtr<TdxGPFontFamily> family(rtl::New<TdxGPFontFamily>(AFont->GetName()));
  const vcl::TFontStyles styles = AFont->GetStyle();
  int style = 0;
  if (styles.Contains(fsBold))
    style |= 1;
  if (styles.Contains(fsItalic))
    style |= 2;
  if (styles.Contains(fsUnderline))
    style |= 4;
  if (styles.Contains(fsStrikeOut))
    style |= 8;
  AddString(S, family.get(), style, AEmSize, ARect, format.get());
}

TRect TdxGPPath::GetBounds(TdxGPPen* APen)
{
  Gdiplus::GpRect bounds{};
  dxGpCheck(dxGpFunctions.GdipGetPathWorldBoundsI(FHandle, &bounds, nullptr, APen ? APen->Handle() : nullptr));
  return {bounds.X, bounds.Y, bounds.X + bounds.Width, bounds.Y + bounds.Height};
}

TdxRectF TdxGPPath::GetBoundsF(TdxGPPen* APen)
{
  Gdiplus::GpRectF bounds{};
  dxGpCheck(dxGpFunctions.GdipGetPathWorldBounds(FHandle, &bounds, nullptr, APen ? APen->Handle() : nullptr));
  return {bounds.X, bounds.Y, bounds.X + bounds.Width, bounds.Y + bounds.Height};
}

int TdxGPPath::GetPointCount()
{
  int count = 0;
  dxGpCheck(dxGpFunctions.GdipGetPointCount(FHandle, &count));
  return count;
}

bool TdxGPPath::IsPointInPath(const TPoint& P, TdxGPCanvas* ACanvas)
{
  BOOL result = FALSE;
  dxGpCheck(dxGpFunctions.GdipIsVisiblePathPointI(FHandle, P.x, P.y, GraphicsOf(ACanvas), &result));
  return result != FALSE;
}

bool TdxGPPath::IsPointInPath(const TdxPointF& P, TdxGPCanvas* ACanvas)
{
  BOOL result = FALSE;
  dxGpCheck(dxGpFunctions.GdipIsVisiblePathPoint(FHandle, P.X, P.Y, GraphicsOf(ACanvas), &result));
  return result != FALSE;
}

bool TdxGPPath::IsPointInPathOutline(const TPoint& P, TdxGPPen* APen, TdxGPCanvas* ACanvas)
{
  BOOL result = FALSE;
  dxGpCheck(dxGpFunctions.GdipIsOutlineVisiblePathPointI(FHandle, P.x, P.y, APen->Handle(), GraphicsOf(ACanvas),
                                                         &result));
  return result != FALSE;
}

bool TdxGPPath::IsPointInPathOutline(const TdxPointF& P, TdxGPPen* APen, TdxGPCanvas* ACanvas)
{
  BOOL result = FALSE;
  dxGpCheck(dxGpFunctions.GdipIsOutlineVisiblePathPoint(FHandle, P.X, P.Y, APen->Handle(), GraphicsOf(ACanvas),
                                                        &result));
  return result != FALSE;
}

bool TdxGPPath::IsPointInPathOutline(const TPoint& P, int APenWidth, TdxGPCanvas* ACanvas)
{
  if (APenWidth <= 0)
    return false;
  rtl::TOwnedPtr<TdxGPPen> pen(
      rtl::New<TdxGPPen>(TdxAlphaColor(0xFFFF0000), static_cast<float>(APenWidth), psSolid, 1.0f));
  return IsPointInPathOutline(P, pen.get(), ACanvas);
}

void TdxGPPath::Transform(TdxGPMatrix* AMatrix)
{
  dxGpCheck(dxGpFunctions.GdipTransformPath(FHandle, AMatrix ? AMatrix->Handle() : nullptr));
}

void TdxGPPath::Flatten(TdxGPMatrix* AMatrix, float AFlatness)
{
  dxGpCheck(dxGpFunctions.GdipFlattenPath(FHandle, AMatrix ? AMatrix->Handle() : nullptr, AFlatness));
}

TdxGPFillMode TdxGPPath::GetFillMode()
{
  Gdiplus::FillMode mode = Gdiplus::FillModeAlternate;
  dxGpCheck(dxGpFunctions.GdipGetPathFillMode(FHandle, &mode));
  return static_cast<TdxGPFillMode>(mode);
}

void TdxGPPath::SetFillMode(TdxGPFillMode AValue)
{
  dxGpCheck(dxGpFunctions.GdipSetPathFillMode(FHandle, static_cast<Gdiplus::FillMode>(AValue)));
}

// ---------------------------------------------------------------------------
// TdxGPRegion

void TdxGPRegion::Create()
{
  dxGpCheck(dxGpFunctions.GdipCreateRegion(&FHandle));
}

void TdxGPRegion::Create(Gdiplus::GpPath* APath)
{
  dxGpCheck(dxGpFunctions.GdipCreateRegionPath(APath, &FHandle));
}

void TdxGPRegion::Create(const TRect& ARect)
{
  const Gdiplus::GpRect rect = NativeRect(ARect);
  dxGpCheck(dxGpFunctions.GdipCreateRegionRectI(&rect, &FHandle));
}

void TdxGPRegion::Create(const TdxRectF& ARect)
{
  const Gdiplus::GpRectF rect = NativeRect(ARect);
  dxGpCheck(dxGpFunctions.GdipCreateRegionRect(&rect, &FHandle));
}

void TdxGPRegion::CreateFromRegion(Gdiplus::GpRegion* ARegion, int)
{
  dxGpCheck(dxGpFunctions.GdipCloneRegion(ARegion, &FHandle));
}

void TdxGPRegion::Destroy()
{
  if (FHandle)
    dxGpCheck(dxGpFunctions.GdipDeleteRegion(FHandle));
  inherited::Destroy();
}

void TdxGPRegion::CombineRegionRect(const TRect& ARect, TdxGPCombineMode AMode)
{
  const Gdiplus::GpRect rect = NativeRect(ARect);
  dxGpCheck(dxGpFunctions.GdipCombineRegionRectI(FHandle, &rect, static_cast<Gdiplus::CombineMode>(AMode)));
}

void TdxGPRegion::CombineRegionRect(const TdxRectF& ARect, TdxGPCombineMode AMode)
{
  const Gdiplus::GpRectF rect = NativeRect(ARect);
  dxGpCheck(dxGpFunctions.GdipCombineRegionRect(FHandle, &rect, static_cast<Gdiplus::CombineMode>(AMode)));
}

void TdxGPRegion::CombineRegionRegion(TdxGPRegion* ARegion, TdxGPCombineMode AMode)
{
  dxGpCheck(dxGpFunctions.GdipCombineRegionRegion(FHandle, ARegion->FHandle, static_cast<Gdiplus::CombineMode>(AMode)));
}

// ---------------------------------------------------------------------------
// TdxGPStringFormat

void TdxGPStringFormat::Create(int AFormatAttributes, WORD ALanguage)
{
  dxGpCheck(dxGpFunctions.GdipCreateStringFormat(AFormatAttributes, ALanguage, &FHandle));
}

void TdxGPStringFormat::Create(TdxGPStringFormat* AFormat)
{
  dxGpCheck(dxGpFunctions.GdipCloneStringFormat(AFormat->FHandle, &FHandle));
}

void TdxGPStringFormat::Destroy()
{
  if (FHandle)
    dxGpFunctions.GdipDeleteStringFormat(FHandle);
  inherited::Destroy();
}

TdxGPStringFormat* TdxGPStringFormat::Clone()
{
  return rtl::New<TdxGPStringFormat>(this);
}

void TdxGPStringFormat::Assign(TdxGPStringFormat* ASource)
{
  if (ASource == this)
    return;
  dxGpFunctions.GdipDeleteStringFormat(FHandle);
  FHandle = nullptr;
  dxGpCheck(dxGpFunctions.GdipCloneStringFormat(ASource->FHandle, &FHandle));
}

TdxGpStringAlignment TdxGPStringFormat::GetAlignment()
{
  Gdiplus::StringAlignment result = StringAlignmentNear;
  dxGpCheck(dxGpFunctions.GdipGetStringFormatAlign(FHandle, &result));
  return result;
}

void TdxGPStringFormat::SetAlignment(TdxGpStringAlignment AValue)
{
  dxGpCheck(dxGpFunctions.GdipSetStringFormatAlign(FHandle, AValue));
}

TdxGpStringAlignment TdxGPStringFormat::GetLineAlignment()
{
  Gdiplus::StringAlignment result = StringAlignmentNear;
  dxGpCheck(dxGpFunctions.GdipGetStringFormatLineAlign(FHandle, &result));
  return result;
}

void TdxGPStringFormat::SetLineAlignment(TdxGpStringAlignment AValue)
{
  dxGpCheck(dxGpFunctions.GdipSetStringFormatLineAlign(FHandle, AValue));
}

int TdxGPStringFormat::GetFormatFlags()
{
  int result = 0;
  dxGpCheck(dxGpFunctions.GdipGetStringFormatFlags(FHandle, &result));
  return result;
}

void TdxGPStringFormat::SetFormatFlags(int AValue)
{
  dxGpCheck(dxGpFunctions.GdipSetStringFormatFlags(FHandle, AValue));
}

TdxGPHotkeyPrefix TdxGPStringFormat::GetHotkeyPrefix()
{
  int result = 0;
  dxGpCheck(dxGpFunctions.GdipGetStringFormatHotkeyPrefix(FHandle, &result));
  return static_cast<TdxGPHotkeyPrefix>(result);
}

void TdxGPStringFormat::SetHotkeyPrefix(TdxGPHotkeyPrefix AValue)
{
  dxGpCheck(dxGpFunctions.GdipSetStringFormatHotkeyPrefix(FHandle, AValue));
}

TdxGpStringTrimming TdxGPStringFormat::GetTrimming()
{
  Gdiplus::StringTrimming result = StringTrimmingNone;
  dxGpCheck(dxGpFunctions.GdipGetStringFormatTrimming(FHandle, &result));
  return result;
}

void TdxGPStringFormat::SetTrimming(TdxGpStringTrimming AValue)
{
  dxGpCheck(dxGpFunctions.GdipSetStringFormatTrimming(FHandle, AValue));
}

void TdxGPStringFormat::SetTabStops(float AFirstTabOffset, int ACount, std::span<const float> ATabStops)
{
  // Never more stops than the array holds.
  const int count = std::min(ACount, static_cast<int>(ATabStops.size()));
  dxGpCheck(dxGpFunctions.GdipSetStringFormatTabStops(FHandle, AFirstTabOffset, count, ATabStops.data()));
}

int TdxGPStringFormat::GetTabStopCount()
{
  int result = 0;
  dxGpCheck(dxGpFunctions.GdipGetStringFormatTabStopCount(FHandle, &result));
  return result;
}

std::vector<float> TdxGPStringFormat::GetTabStops(int ACount, float& AFirstTabOffset)
{
  std::vector<float> result(std::max(ACount, 0));
  dxGpCheck(dxGpFunctions.GdipGetStringFormatTabStops(FHandle, static_cast<int>(result.size()), &AFirstTabOffset,
                                                      result.data()));
  return result;
}

void TdxGPStringFormat::SetDigitSubstitution(WORD ALanguage, TdxGpStringDigitSubstitute ASubstitute)
{
  dxGpCheck(dxGpFunctions.GdipSetStringFormatDigitSubstitution(FHandle, ALanguage, ASubstitute));
}

WORD TdxGPStringFormat::DigitSubstitutionLanguage()
{
  LANGID language = 0;
  Gdiplus::StringDigitSubstitute method;
  dxGpCheck(dxGpFunctions.GdipGetStringFormatDigitSubstitution(FHandle, &language, &method));
  return language;
}

TdxGpStringDigitSubstitute TdxGPStringFormat::DigitSubstitutionMethod()
{
  LANGID language = 0;
  Gdiplus::StringDigitSubstitute method = StringDigitSubstituteUser;
  dxGpCheck(dxGpFunctions.GdipGetStringFormatDigitSubstitution(FHandle, &language, &method));
  return method;
}

void TdxGPStringFormat::SetMeasurableCharacterRanges(int ACount, std::span<const TdxGpCharacterRange> ARanges)
{
  const int count = std::min(ACount, static_cast<int>(ARanges.size()));
  dxGpCheck(dxGpFunctions.GdipSetStringFormatMeasurableCharacterRanges(
      FHandle, count, reinterpret_cast<const Gdiplus::CharacterRange*>(ARanges.data())));
}

int TdxGPStringFormat::MeasurableCharacterRangeCount()
{
  int result = 0;
  dxGpCheck(dxGpFunctions.GdipGetStringFormatMeasurableCharacterRangeCount(FHandle, &result));
  return result;
}

// ---------------------------------------------------------------------------
// TdxGPFontFamily

namespace {

// The shared generic families; plain pointers, made on first request.
TdxGPFontFamily* dxGpGenericSansSerif = nullptr;
TdxGPFontFamily* dxGpGenericSerif = nullptr;

TdxGPFontFamily* GenericFamily(TdxGPFontFamily*& AFamily, decltype(TdxGpFunctions::GdipGetGenericFontFamilySerif) AGetter)
{
  if (!AFamily) {
    Gdiplus::GpFontFamily* native = nullptr;
    dxGpCheck(AGetter(&native));
    try {
      AFamily = rtl::New<TdxGPFontFamily>(native);
    } catch (...) {
      dxGpFunctions.GdipDeleteFontFamily(native);
      throw;
    }
    // The wrapper keeps its own clone.
    dxGpFunctions.GdipDeleteFontFamily(native);
  }
  return AFamily;
}

}  // namespace

void TdxGPFontFamily::Create(const rtl::String& AName)
{
  if (dxGpFunctions.GdipCreateFontFamilyFromName(AName.c_str(), nullptr, &FHandle) != Ok)
    FHandle = nullptr;
}

void TdxGPFontFamily::Create(Gdiplus::GpFontFamily* ANativeFamily)
{
  dxGpCheck(dxGpFunctions.GdipCloneFontFamily(ANativeFamily, &FHandle));
}

void TdxGPFontFamily::Destroy()
{
  if (FHandle)
    dxGpFunctions.GdipDeleteFontFamily(FHandle);
  inherited::Destroy();
}

TdxGPFontFamily* TdxGPFontFamily::Clone()
{
  return rtl::New<TdxGPFontFamily>(FHandle);
}

WORD TdxGPFontFamily::GetCellAscent(int AStyle)
{
  UINT16 result = 0;
  dxGpCheck(dxGpFunctions.GdipGetCellAscent(FHandle, AStyle, &result));
  return result;
}

WORD TdxGPFontFamily::GetCellDescent(int AStyle)
{
  UINT16 result = 0;
  dxGpCheck(dxGpFunctions.GdipGetCellDescent(FHandle, AStyle, &result));
  return result;
}

WORD TdxGPFontFamily::GetEmHeight(int AStyle)
{
  UINT16 result = 0;
  dxGpCheck(dxGpFunctions.GdipGetEmHeight(FHandle, AStyle, &result));
  return result;
}

WORD TdxGPFontFamily::GetLineSpacing(int AStyle)
{
  UINT16 result = 0;
  dxGpCheck(dxGpFunctions.GdipGetLineSpacing(FHandle, AStyle, &result));
  return result;
}

bool TdxGPFontFamily::IsStyleAvailable(int AStyle)
{
  BOOL result = FALSE;
  dxGpCheck(dxGpFunctions.GdipIsStyleAvailable(FHandle, AStyle, &result));
  return result != FALSE;
}

rtl::String TdxGPFontFamily::GetName(WORD ALanguage)
{
  WCHAR buffer[LF_FACESIZE] = {};
  dxGpCheck(dxGpFunctions.GdipGetFamilyName(FHandle, buffer, ALanguage));
  return rtl::String(buffer, wcsnlen(buffer, LF_FACESIZE));
}

TdxGPFontFamily* TdxGPFontFamily::GenericSansSerif()
{
  return GenericFamily(dxGpGenericSansSerif, dxGpFunctions.GdipGetGenericFontFamilySansSerif);
}

TdxGPFontFamily* TdxGPFontFamily::GenericSerif()
{
  return GenericFamily(dxGpGenericSerif, dxGpFunctions.GdipGetGenericFontFamilySerif);
}

void TdxGPFontFamily::FreeGenericFamilies()
{
  rtl::FreeAndNil(dxGpGenericSansSerif);
  rtl::FreeAndNil(dxGpGenericSerif);
}

// ---------------------------------------------------------------------------
// TdxGPFont

namespace {

constexpr BYTE dxGpDefaultCharSet = DEFAULT_CHARSET;

[[noreturn]] void RaiseGdip(Status AStatus)
{
  throw EdxGdipException(AStatus);
}

}  // namespace

void TdxGPFont::Create(const rtl::String& AFamilyName, float AEmSize)
{
  Create(AFamilyName, AEmSize, 0, guPoint);
}

void TdxGPFont::Create(const rtl::String& AFamilyName, float AEmSize, TdxGraphicUnit AUnit)
{
  Create(AFamilyName, AEmSize, 0, AUnit);
}

void TdxGPFont::Create(const rtl::String& AFamilyName, float AEmSize, int AStyle)
{
  Create(AFamilyName, AEmSize, AStyle, guPoint);
}

void TdxGPFont::Create(const rtl::String& AFamilyName, float AEmSize, int AStyle, TdxGraphicUnit AUnit)
{
  Create(AFamilyName, AEmSize, AStyle, AUnit, dxGpDefaultCharSet);
}

void TdxGPFont::Create(const rtl::String& AFamilyName, float AEmSize, int AStyle, TdxGraphicUnit AUnit,
                       BYTE AGdiCharSet)
{
  CreateFromName(AFamilyName, AEmSize, AStyle, AUnit, AGdiCharSet, IsVerticalName(AFamilyName));
}

void TdxGPFont::Create(const rtl::String& AFamilyName, float AEmSize, int AStyle, TdxGraphicUnit AUnit,
                       BYTE AGdiCharSet, bool AGdiVerticalFont)
{
  if (std::isnan(AEmSize) || std::isinf(AEmSize) || AEmSize <= 0)
    RaiseGdip(InvalidParameter);
  CreateFromName(AFamilyName, AEmSize, AStyle, AUnit, AGdiCharSet, AGdiVerticalFont);
}

void TdxGPFont::CreateFromName(const rtl::String& AFamilyName, float AEmSize, int AStyle, TdxGraphicUnit AUnit,
                               BYTE AGdiCharSet, bool AGdiVerticalFont)
{
  FOriginalFontName = AFamilyName;
  FFontFamily = rtl::New<TdxGPFontFamily>(StripVerticalName(AFamilyName));
  FIsOwnFontFamily = true;
  Construct(FFontFamily, AEmSize, AStyle, AUnit, AGdiCharSet, AGdiVerticalFont);
}

void TdxGPFont::Create(TdxGPFontFamily* AFamily, float AEmSize)
{
  Create(AFamily, AEmSize, 0, guPoint);
}

void TdxGPFont::Create(TdxGPFontFamily* AFamily, float AEmSize, TdxGraphicUnit AUnit)
{
  Create(AFamily, AEmSize, 0, AUnit);
}

void TdxGPFont::Create(TdxGPFontFamily* AFamily, float AEmSize, int AStyle)
{
  Create(AFamily, AEmSize, AStyle, guPoint);
}

void TdxGPFont::Create(TdxGPFontFamily* AFamily, float AEmSize, int AStyle, TdxGraphicUnit AUnit)
{
  Create(AFamily, AEmSize, AStyle, AUnit, dxGpDefaultCharSet);
}

void TdxGPFont::Create(TdxGPFontFamily* AFamily, float AEmSize, int AStyle, TdxGraphicUnit AUnit, BYTE AGdiCharSet)
{
  Create(AFamily, AEmSize, AStyle, AUnit, AGdiCharSet, false);
}

void TdxGPFont::Create(TdxGPFontFamily* AFamily, float AEmSize, int AStyle, TdxGraphicUnit AUnit, BYTE AGdiCharSet,
                       bool AGdiVerticalFont)
{
  Construct(AFamily, AEmSize, AStyle, AUnit, AGdiCharSet, AGdiVerticalFont);
}

void TdxGPFont::Create(Gdiplus::GpFont* ANativeFont, BYTE AGdiCharSet, bool AGdiVerticalFont)
{
  FNativeFont = ANativeFont;
  Gdiplus::Unit unit = Gdiplus::UnitPoint;
  float size = 0;
  int style = 0;
  Gdiplus::GpFontFamily* family = nullptr;
  dxGpCheck(dxGpFunctions.GdipGetFontUnit(FNativeFont, &unit));
  dxGpCheck(dxGpFunctions.GdipGetFontSize(FNativeFont, &size));
  dxGpCheck(dxGpFunctions.GdipGetFontStyle(FNativeFont, &style));
  dxGpCheck(dxGpFunctions.GdipGetFamily(FNativeFont, &family));
  // The library hands out a family of the caller's own; the font keeps a
  // clone of it as its owned family.
  try {
    FFontFamily = rtl::New<TdxGPFontFamily>(family);
  } catch (...) {
    dxGpFunctions.GdipDeleteFontFamily(family);
    throw;
  }
  dxGpFunctions.GdipDeleteFontFamily(family);
  FIsOwnFontFamily = true;
  Construct(FFontFamily, size, style, static_cast<TdxGraphicUnit>(unit), AGdiCharSet, AGdiVerticalFont);
}

void TdxGPFont::Create(TdxGPFont* AFont, int AStyle)
{
  FOriginalFontName = AFont->FOriginalFontName;
  Construct(AFont->FFontFamily, AFont->FFontSize, AStyle, AFont->FFontUnit, dxGpDefaultCharSet, false);
}

void TdxGPFont::Construct(TdxGPFontFamily* AFamily, float AEmSize, int AStyle, TdxGraphicUnit AUnit, BYTE AGdiCharSet,
                          bool AGdiVerticalFont)
{
  if (!AFamily)
    RaiseGdip(FontFamilyNotFound);
  if (std::isnan(AEmSize) || std::isinf(AEmSize) || AEmSize <= 0)
    RaiseGdip(InvalidParameter);
  FFontSize = AEmSize;
  FFontStyle = AStyle;
  FFontUnit = AUnit;
  FGdiCharSet = AGdiCharSet;
  FGdiVerticalFont = AGdiVerticalFont;
  if (!FFontFamily) {
    FFontFamily = AFamily;
    FIsOwnFontFamily = false;
  }
  if (!FNativeFont)
    dxGpCheck(dxGpFunctions.GdipCreateFont(AFamily->Handle(), AEmSize, AStyle, static_cast<Gdiplus::Unit>(AUnit),
                                           &FNativeFont));
  dxGpCheck(dxGpFunctions.GdipGetFontSize(FNativeFont, &FFontSize));
}

void TdxGPFont::Destroy()
{
  if (FNativeFont)
    dxGpFunctions.GdipDeleteFont(FNativeFont);
  if (FIsOwnFontFamily)
    rtl::FreeAndNil(FFontFamily);
  inherited::Destroy();
}

TdxGPFont* TdxGPFont::FromHFont(HFONT AFont)
{
  LOGFONTW logFont{};
  GetObjectW(AFont, sizeof(logFont), &logFont);
  vcl::TScreenDC screen;
  return FromLogFont(logFont, screen.Get());
}

TdxGPFont* TdxGPFont::FromLogFont(const LOGFONTW& ALogFont)
{
  vcl::TScreenDC screen;
  return FromLogFont(ALogFont, screen.Get());
}

TdxGPFont* TdxGPFont::FromLogFont(const LOGFONTW& ALogFont, HDC AHdc)
{
  Gdiplus::GpFont* font = nullptr;
  dxGpFunctions.GdipCreateFontFromLogfontW(AHdc, &ALogFont, &font);
  if (!font)
    RaiseGdip(NotTrueTypeFont);
  return rtl::New<TdxGPFont>(font, ALogFont.lfCharSet, ALogFont.lfFaceName[0] == L'@');
}

TdxGPFont* TdxGPFont::FromHdc(HDC AHdc)
{
  Gdiplus::GpFont* font = nullptr;
  dxGpCheck(dxGpFunctions.GdipCreateFontFromDC(AHdc, &font));
  return rtl::New<TdxGPFont>(font, BYTE(0), false);
}

TdxGPFont* TdxGPFont::SafeCreate(const rtl::String& AFamilyName, int AStyle, float AEmSize, TdxGraphicUnit AUnit,
                                 BYTE AGdiCharSet)
{
  TdxGPFontFamily* family = rtl::New<TdxGPFontFamily>(StripVerticalName(AFamilyName));
  const bool owned = family->Handle() != nullptr;
  if (!owned) {
    rtl::Free(family);
    family = TdxGPFontFamily::GenericSansSerif();
  }
  return rtl::NewWith<TdxGPFont>([&](TdxGPFont* AFont) {
    AFont->FFontFamily = family;
    AFont->FIsOwnFontFamily = owned;
    AFont->Construct(family, AEmSize, AStyle, AUnit, AGdiCharSet, false);
  });
}

TdxGPFont* TdxGPFont::Clone()
{
  Gdiplus::GpFont* clone = nullptr;
  dxGpCheck(dxGpFunctions.GdipCloneFont(FNativeFont, &clone));
  return rtl::New<TdxGPFont>(clone, FGdiCharSet, FGdiVerticalFont);
}

float TdxGPFont::SizeInPoints()
{
  if (FFontUnit == guPoint)
    return FFontSize;
  TdxGpScreenCanvas screen;
  const float emHeight = FFontFamily->GetEmHeight(FFontStyle);
  const float lineSpacing = FFontFamily->GetLineSpacing(FFontStyle);
  return (emHeight * GetHeight(screen.Canvas()) / lineSpacing) / (screen.Canvas()->DpiY() / 72);
}

int TdxGPFont::Height()
{
  TdxGpScreenCanvas screen;
  return static_cast<int>(std::ceil(GetHeight(screen.Canvas())));
}

float TdxGPFont::GetHeight(TdxGPCanvas* AGraphics)
{
  float result = 0;
  dxGpCheck(dxGpFunctions.GdipGetFontHeight(FNativeFont, GraphicsOf(AGraphics), &result));
  return result;
}

float TdxGPFont::GetHeight(float ADpi)
{
  float result = 0;
  dxGpCheck(dxGpFunctions.GdipGetFontHeightGivenDPI(FNativeFont, ADpi, &result));
  return result;
}

float TdxGPFont::GetHeight()
{
  return GetHeight(static_cast<TdxGPCanvas*>(nullptr));
}

void TdxGPFont::ToLogFont(LOGFONTW& ALogFont, TdxGPCanvas* ACanvas)
{
  if (!ACanvas)
    RaiseGdip(InvalidParameter);
  dxGpCheck(dxGpFunctions.GdipGetLogFontW(FNativeFont, ACanvas->Handle(), &ALogFont));
  if (FGdiVerticalFont) {
    std::memmove(ALogFont.lfFaceName + 1, ALogFont.lfFaceName, (LF_FACESIZE - 1) * sizeof(WCHAR));
    ALogFont.lfFaceName[0] = L'@';
    // A face name of 31 characters would lose its terminating zero.
    ALogFont.lfFaceName[LF_FACESIZE - 1] = 0;
  }
  if (ALogFont.lfCharSet == 0)
    ALogFont.lfCharSet = FGdiCharSet;
}

void TdxGPFont::ToLogFont(LOGFONTW& ALogFont)
{
  TdxGpScreenCanvas screen;
  ToLogFont(ALogFont, screen.Canvas());
}

HFONT TdxGPFont::ToHfont()
{
  LOGFONTW logFont{};
  ToLogFont(logFont);
  return CreateFontIndirectW(&logFont);
}

int TdxGPFont::GetHashCode() const
{
  const std::int64_t size = std::llrint(FFontSize);
  const auto low = static_cast<std::uint32_t>(size);
  const auto high = static_cast<std::uint32_t>(static_cast<std::uint64_t>(size) >> 32);
  const std::uint32_t sizeHash = std::rotl(low, 7) | (high << 7);
  const std::uint32_t result = sizeHash ^ std::rotl(static_cast<std::uint32_t>(FFontUnit), 26) ^
                               std::rotl(static_cast<std::uint32_t>(FFontStyle), 13);
  return static_cast<int>(result);
}

bool TdxGPFont::IsVerticalName(const rtl::String& AName)
{
  return !AName.empty() && AName[0] == L'@';
}

rtl::String TdxGPFont::StripVerticalName(const rtl::String& AName)
{
  if (IsVerticalName(AName) && AName.size() > 1)
    return AName.substr(1);
  return AName;
}

// ---------------------------------------------------------------------------
// TdxGPMemoryStream

void* TdxGPMemoryStream::Realloc(int& ANewCapacity)
{
  const int oldCapacity = GetCapacity();
  void* oldMemory = Memory();
  if (ANewCapacity == oldCapacity)
    return oldMemory;
  void* result = nullptr;
  if (ANewCapacity >= 1) {
    // The allocator is gone once the library is unbound: that is no memory.
    result = dxGpFunctions.GdipAlloc ? dxGpFunctions.GdipAlloc(ANewCapacity) : nullptr;
    if (!result)
      throw rtl::EStreamError(L"Out of memory while expanding memory stream");
    if (oldCapacity > 0)
      std::memcpy(result, oldMemory, std::min(oldCapacity, ANewCapacity));
  }
  if (oldCapacity > 0 && dxGpFunctions.GdipFree)
    dxGpFunctions.GdipFree(oldMemory);
  return result;
}
