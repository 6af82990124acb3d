// TGraphicsObject, TFont, TBrush, TPen.
#include <algorithm>
#include <cstring>

#include "platform/vcl/Graphics.h"

using enum vcl::TBrushStyle;
using enum vcl::TFontPitch;
using enum vcl::TFontQuality;
using enum vcl::TFontStyle;
using enum vcl::TPenMode;
using enum vcl::TPenStyle;

namespace vcl {

// ---------------------------------------------------------------------------
// TGraphicsObject

void TGraphicsObject::Changed()
{
  // Kept alive until the listener has taken it out of its DC: GDI does not
  // delete an object that is still selected.
  TOwnedGdiObject<HGDIOBJ> old = std::move(FHandle);
  Notify();
}

void TGraphicsObject::Notify()
{
  if (FOnChange)
    FOnChange(this);
}

// ---------------------------------------------------------------------------
// TFont

int ScreenLogPixels()
{
  static const int value = [] {
    const TWindowDC screen(nullptr);
    const int result = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
    return result > 0 ? result : USER_DEFAULT_SCREEN_DPI;
  }();
  return value;
}

void TFont::Create()
{
  FPixelsPerInch = ScreenLogPixels();
  FColor = clWindowText;
  FLogFont = LOGFONTW{};
  FLogFont.lfHeight = -MulDiv(8, FPixelsPerInch, 72);
  FLogFont.lfWeight = FW_NORMAL;
  FLogFont.lfCharSet = DEFAULT_CHARSET;
  FLogFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
  FLogFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  FLogFont.lfQuality = DEFAULT_QUALITY;
  FLogFont.lfPitchAndFamily = DEFAULT_PITCH;
  lstrcpynW(FLogFont.lfFaceName, L"Tahoma", LF_FACESIZE);
}

void TFont::Assign(rtl::TPersistent* ASource)
{
  if (!rtl::Is<TFont>(ASource)) {
    inherited::Assign(ASource);
    return;
  }
  const TFont* source = static_cast<TFont*>(ASource);
  LOGFONTW logFont = source->FLogFont;
  // The point size carries over between resolutions, as the framework does.
  if (FPixelsPerInch != source->FPixelsPerInch)
    logFont.lfHeight = -MulDiv(source->GetSize(), FPixelsPerInch, 72);
  const bool sameFont = std::memcmp(&logFont, &FLogFont, sizeof(LOGFONTW)) == 0;
  FLogFont = logFont;
  FColor = source->FColor;
  if (sameFont)
    Notify();
  else
    Changed();
}

HFONT TFont::GetHandle()
{
  return static_cast<HFONT>(CachedHandle([this] { return CreateFontIndirectW(&FLogFont); }));
}

void TFont::SetHandle(HFONT AValue)
{
  LOGFONTW logFont{};
  if (IsOwnHandle(AValue) || !AValue || GetObjectW(AValue, sizeof(logFont), &logFont) == 0)
    return;
  FLogFont = logFont;
  Changed();
  AdoptHandle(AValue);
}

void TFont::ChangeLogFont(const LOGFONTW& AValue)
{
  if (std::memcmp(&AValue, &FLogFont, sizeof(LOGFONTW)) == 0)
    return;
  FLogFont = AValue;
  Changed();
}

void TFont::SetName(const String& AValue)
{
  LOGFONTW logFont = FLogFont;
  std::fill(std::begin(logFont.lfFaceName), std::end(logFont.lfFaceName), L'\0');
  lstrcpynW(logFont.lfFaceName, AValue.c_str(), LF_FACESIZE);
  ChangeLogFont(logFont);
}

void TFont::SetHeight(int AValue)
{
  LOGFONTW logFont = FLogFont;
  logFont.lfHeight = AValue;
  ChangeLogFont(logFont);
}

int TFont::GetSize() const
{
  return -MulDiv(FLogFont.lfHeight, 72, FPixelsPerInch);
}

void TFont::SetSize(int AValue)
{
  SetHeight(-MulDiv(AValue, FPixelsPerInch, 72));
}

TFontStyles TFont::GetStyle() const
{
  TFontStyles result;
  if (FLogFont.lfWeight >= FW_BOLD)
    result.Include(fsBold);
  if (FLogFont.lfItalic)
    result.Include(fsItalic);
  if (FLogFont.lfUnderline)
    result.Include(fsUnderline);
  if (FLogFont.lfStrikeOut)
    result.Include(fsStrikeOut);
  return result;
}

void TFont::SetStyle(TFontStyles AValue)
{
  LOGFONTW logFont = FLogFont;
  logFont.lfWeight = AValue.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  logFont.lfItalic = AValue.Contains(fsItalic);
  logFont.lfUnderline = AValue.Contains(fsUnderline);
  logFont.lfStrikeOut = AValue.Contains(fsStrikeOut);
  ChangeLogFont(logFont);
}

void TFont::SetColor(TColor AValue)
{
  if (AValue == FColor)
    return;
  FColor = AValue;
  // The text colour is the DC's, not the font object's: the handle stays.
  Notify();
}

void TFont::SetCharset(TFontCharset AValue)
{
  LOGFONTW logFont = FLogFont;
  logFont.lfCharSet = AValue;
  ChangeLogFont(logFont);
}

void TFont::SetOrientation(int AValue)
{
  LOGFONTW logFont = FLogFont;
  logFont.lfEscapement = AValue;
  logFont.lfOrientation = AValue;
  ChangeLogFont(logFont);
}

TFontQuality TFont::GetQuality() const
{
  return FLogFont.lfQuality <= CLEARTYPE_NATURAL_QUALITY ? static_cast<TFontQuality>(FLogFont.lfQuality) : fqDefault;
}

void TFont::SetQuality(TFontQuality AValue)
{
  // TFontQuality lists the LOGFONT qualities in their numeric order.
  LOGFONTW logFont = FLogFont;
  logFont.lfQuality = static_cast<BYTE>(AValue);
  ChangeLogFont(logFont);
}

TFontPitch TFont::GetPitch() const
{
  switch (FLogFont.lfPitchAndFamily & 0x03) {
    case VARIABLE_PITCH:
      return fpVariable;
    case FIXED_PITCH:
      return fpFixed;
    default:
      return fpDefault;
  }
}

void TFont::SetPitch(TFontPitch AValue)
{
  constexpr BYTE pitches[] = {DEFAULT_PITCH, VARIABLE_PITCH, FIXED_PITCH};
  LOGFONTW logFont = FLogFont;
  logFont.lfPitchAndFamily = static_cast<BYTE>((logFont.lfPitchAndFamily & ~0x03) | pitches[AValue]);
  ChangeLogFont(logFont);
}

// ---------------------------------------------------------------------------
// TBrush

void TBrush::Create()
{
  FColor = clWhite;
  FStyle = bsSolid;
}

void TBrush::Assign(rtl::TPersistent* ASource)
{
  if (!rtl::Is<TBrush>(ASource)) {
    inherited::Assign(ASource);
    return;
  }
  const TBrush* source = static_cast<TBrush*>(ASource);
  FColor = source->FColor;
  FStyle = source->FStyle;
  FBitmap = source->FBitmap;
  Changed();
}

HBRUSH TBrush::GetHandle()
{
  return static_cast<HBRUSH>(CachedHandle([this]() -> HGDIOBJ {
    if (FBitmap && !FBitmap->GetEmpty())
      return CreatePatternBrush(FBitmap->GetHandle());
    LOGBRUSH logBrush{BS_SOLID, static_cast<COLORREF>(ColorToRGB(FColor)), 0};
    if (FStyle == bsClear) {
      logBrush.lbStyle = BS_NULL;
    } else if (FStyle >= bsHorizontal) {
      logBrush.lbStyle = BS_HATCHED;
      logBrush.lbHatch = FStyle - bsHorizontal;
    }
    return CreateBrushIndirect(&logBrush);
  }));
}

void TBrush::SetHandle(HBRUSH AValue)
{
  LOGBRUSH logBrush{};
  if (IsOwnHandle(AValue) || !AValue || GetObjectW(AValue, sizeof(logBrush), &logBrush) == 0)
    return;
  FBitmap = nullptr;
  FColor = static_cast<TColor>(logBrush.lbColor);
  if (logBrush.lbStyle == BS_NULL)
    FStyle = bsClear;
  else if (logBrush.lbStyle == BS_HATCHED && logBrush.lbHatch <= HS_DIAGCROSS)
    FStyle = static_cast<TBrushStyle>(bsHorizontal + logBrush.lbHatch);
  else
    FStyle = bsSolid;
  Changed();
  AdoptHandle(AValue);
}

void TBrush::SetColor(TColor AValue)
{
  if (AValue == FColor && FStyle != bsClear)
    return;
  FColor = AValue;
  if (FStyle == bsClear)
    FStyle = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle AValue)
{
  if (AValue == FStyle)
    return;
  FStyle = AValue;
  Changed();
}

void TBrush::SetBitmap(TBitmap* AValue)
{
  if (AValue == FBitmap)
    return;
  FBitmap = AValue;
  Changed();
}

// ---------------------------------------------------------------------------
// TPen

TPenMode PenModeFromROP2(int AROP2)
{
  const auto found = std::find(std::begin(PenModes), std::end(PenModes), AROP2);
  return found == std::end(PenModes) ? pmCopy : static_cast<TPenMode>(found - std::begin(PenModes));
}

void TPen::Create()
{
  FColor = clBlack;
  FWidth = 1;
  FStyle = psSolid;
  FMode = pmCopy;
}

void TPen::Assign(rtl::TPersistent* ASource)
{
  if (!rtl::Is<TPen>(ASource)) {
    inherited::Assign(ASource);
    return;
  }
  const TPen* source = static_cast<TPen*>(ASource);
  FColor = source->FColor;
  FWidth = source->FWidth;
  FStyle = source->FStyle;
  FMode = source->FMode;
  Changed();
}

HPEN TPen::GetHandle()
{
  // TPenStyle lists PS_SOLID..PS_INSIDEFRAME in their numeric order.
  return static_cast<HPEN>(
      CachedHandle([this] { return CreatePen(FStyle, FWidth, static_cast<COLORREF>(ColorToRGB(FColor))); }));
}

void TPen::SetHandle(HPEN AValue)
{
  if (!AValue || IsOwnHandle(AValue))
    return;
  DWORD style = 0;
  int width = 0;
  COLORREF color = 0;
  if (GetObjectType(AValue) == OBJ_EXTPEN) {
    EXTLOGPEN logPen{};
    if (GetObjectW(AValue, sizeof(logPen), &logPen) == 0)
      return;
    style = logPen.elpPenStyle & PS_STYLE_MASK;
    width = static_cast<int>(logPen.elpWidth);
    color = logPen.elpColor;
  } else {
    LOGPEN logPen{};
    if (GetObjectW(AValue, sizeof(logPen), &logPen) == 0)
      return;
    style = logPen.lopnStyle & PS_STYLE_MASK;
    width = logPen.lopnWidth.x;
    color = logPen.lopnColor;
  }
  FStyle = style <= PS_INSIDEFRAME ? static_cast<TPenStyle>(style) : psSolid;
  FWidth = width;
  FColor = static_cast<TColor>(color);
  Changed();
  AdoptHandle(AValue);
}

void TPen::SetColor(TColor AValue)
{
  if (AValue == FColor)
    return;
  FColor = AValue;
  Changed();
}

void TPen::SetWidth(int AValue)
{
  if (AValue < 0 || AValue == FWidth)
    return;
  FWidth = AValue;
  Changed();
}

void TPen::SetStyle(TPenStyle AValue)
{
  if (AValue == FStyle)
    return;
  FStyle = AValue;
  Changed();
}

void TPen::SetMode(TPenMode AValue)
{
  if (AValue == FMode)
    return;
  FMode = AValue;
  // The mode is the DC's ROP2, not part of the pen object.
  Notify();
}

}  // namespace vcl
