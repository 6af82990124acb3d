#include "simplecontrols/cxLabel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include <vssym32.h>

#include "core/cxGeometry.h"
#include "core/dxCore.h"
#include "controls/cxBufferedPaint.h"
#include "core/dxDPIAwareUtils.h"
#include "core/dxThemeManager.h"
#include "core/dxUxTheme.h"
#include "editors/cxEditExConsts.h"
#include "editors/cxFilterControlUtils.h"
#include "editors/cxVariants.h"
#include "graphics/cxGraphicsControls.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "platform/vcl/GraphicsHandles.h"

namespace {

constexpr double cxLabelDegreesToRadians = std::numbers::pi / 180.0;

// Round to nearest with halves to the even neighbour, as the layout of
// rotated text has always been computed.
int cxLabelRoundHalfEven(double AValue)
{
  const double floorValue = std::floor(AValue);
  const double fraction = AValue - floorValue;
  int result = static_cast<int>(floorValue);
  if (fraction > 0.5 || (fraction == 0.5 && (result % 2) != 0))
    ++result;
  return result;
}

bool cxLabelIsTrueTypeDC(HDC ADC)
{
  TEXTMETRICW metrics{};
  return GetTextMetricsW(ADC, &metrics) && (metrics.tmPitchAndFamily & TMPF_TRUETYPE) != 0;
}

int cxLabelSign(int AValue)
{
  return (AValue > 0) - (AValue < 0);
}

bool cxLabelFontIsTrueType(TcxCanvas* ACanvas)
{
  return cxLabelIsTrueTypeDC(ACanvas->GetHandle());
}

}  // namespace

// ---------------------------------------------------------------------------
// TcxLabelLineOptions

void TcxLabelLineOptions::Create()
{
  inherited::Create();
  FAlignment = TcxLabelLineAlignment::cxllaCenter;
  FInnerColor = vcl::clDefault;
  FOuterColor = vcl::clDefault;
}

void TcxLabelLineOptions::Assign(rtl::TPersistent* ASource)
{
  if (!rtl::Is<TcxLabelLineOptions>(ASource)) {
    inherited::Assign(ASource);
    return;
  }
  auto* source = static_cast<TcxLabelLineOptions*>(ASource);
  FVisible = source->FVisible;
  FAlignment = source->FAlignment;
  FInnerColor = source->FInnerColor;
  FOuterColor = source->FOuterColor;
  DoChanged();
}

template <typename T>
void TcxLabelLineOptions::SetValue(T& AField, T AValue)
{
  if (AField == AValue)
    return;
  AField = AValue;
  DoChanged();
}

void TcxLabelLineOptions::SetAlignment(TcxLabelLineAlignment AValue)
{
  SetValue(FAlignment, AValue);
}

void TcxLabelLineOptions::SetInnerColor(vcl::TColor AValue)
{
  SetValue(FInnerColor, AValue);
}

void TcxLabelLineOptions::SetOuterColor(vcl::TColor AValue)
{
  SetValue(FOuterColor, AValue);
}

void TcxLabelLineOptions::SetVisible(bool AValue)
{
  SetValue(FVisible, AValue);
}

void TcxLabelLineOptions::DoChanged()
{
  if (FOnChanged)
    FOnChanged(this);
}

// ---------------------------------------------------------------------------
// TcxCustomLabelProperties

void TcxCustomLabelProperties::Create(rtl::TPersistent* AOwner)
{
  inherited::Create(AOwner);
  FLineOptions = rtl::New<TcxLabelLineOptions>();
  FLineOptions->SetOnChanged(rtl::TNotifyEvent::Bind<&TcxCustomLabelProperties::ChildChanged>(this));
  FGlyph = rtl::New<TdxSmartGlyph>();
  FGlyph->SetOnChange(rtl::TNotifyEvent::Bind<&TcxCustomLabelProperties::ChildChanged>(this));
  FLabelEffect = TcxLabelEffect::cxleNormal;
  FLabelStyle = TcxLabelStyle::cxlsNormal;
  FOrientation = TcxLabelOrientation::cxoRightBottom;
  FPenWidth = 1;
  FShadowedColor = vcl::clGrayText;
  FShowAccelChar = true;
}

void TcxCustomLabelProperties::Destroy()
{
  rtl::FreeAndNil(FGlyph);
  rtl::FreeAndNil(FLineOptions);
  inherited::Destroy();
}

void TcxCustomLabelProperties::AssignFrom(TcxCustomEditProperties* ASource)
{
  inherited::AssignFrom(ASource);
  if (!rtl::Is<TcxCustomLabelProperties>(ASource))
    return;
  auto* source = static_cast<TcxCustomLabelProperties*>(ASource);
  SetAngle(source->FAngle);
  SetDepth(static_cast<unsigned short>(
      MulDiv(source->FDepth, dxGetTargetDPI(GetScaleFactor()), dxGetTargetDPI(source->GetScaleFactor()))));
  SetGlyph(source->FGlyph);
  SetLabelEffect(source->FLabelEffect);
  SetLabelStyle(source->FLabelStyle);
  SetLineOptions(source->FLineOptions);
  SetOrientation(source->FOrientation);
  SetPenWidth(source->FPenWidth);
  SetShadowedColor(source->FShadowedColor);
  SetShowAccelChar(source->FShowAccelChar);
  SetShowEndEllipsis(source->FShowEndEllipsis);
  SetWordWrap(source->FWordWrap);
}

void TcxCustomLabelProperties::ScaleButtons(int M, int D)
{
  inherited::ScaleButtons(M, D);
  SetDepth(static_cast<unsigned short>(MulDiv(FDepth, M, D)));
}

TcxCustomEditClass TcxCustomLabelProperties::GetContainerClass()
{
  return TcxCustomEditClass::Of<TcxLabel>();
}

TcxCustomEditStyleClass TcxCustomLabelProperties::GetStyleClass()
{
  return TcxCustomEditStyleClass::Of<TcxLabelEditStyle>();
}

TcxCustomEditViewInfoClass TcxCustomLabelProperties::GetViewInfoClass()
{
  return TcxCustomEditViewInfoClass::Of<TcxCustomLabelViewInfo>();
}

TcxCustomEditViewDataClass TcxCustomLabelProperties::ViewDataClass()
{
  return TcxCustomEditViewDataClass::Of<TcxCustomLabelViewData>();
}

rtl::String TcxCustomLabelProperties::GetDisplayText(const rtl::Variant& AEditValue, bool /*AFullText*/,
                                                     bool /*AIsInplace*/)
{
  rtl::Variant displayValue;
  PrepareDisplayValue(AEditValue, displayValue, false);
  return rtl::VarToStr(displayValue);
}

TcxEditSupportedOperations TcxCustomLabelProperties::GetSupportedOperations()
{
  using enum TcxEditSupportedOperation;
  TcxEditSupportedOperations result{esoAutoHeight, esoFiltering, esoShowingCaption, esoSorting, esoTransparency};
  // A horizontal or vertical line spans the whole width or height: the
  // label cannot follow its text's width then.
  if (!(FLineOptions->GetVisible() && (FAngle == 0 || FAngle == 90)))
    result.Include(esoAutoWidth);
  return result;
}

void TcxCustomLabelProperties::PrepareDisplayValue(const rtl::Variant& AEditValue, rtl::Variant& DisplayValue,
                                                   bool /*AEditFocused*/)
{
  DisplayValue = rtl::Variant(rtl::VarToStr(AEditValue));
}

TSize TcxCustomLabelProperties::CalculateDepthDelta()
{
  if (FLabelEffect == TcxLabelEffect::cxleNormal || FDepth == 0)
    return {0, 0};
  using enum TcxLabelOrientation;
  switch (FOrientation) {
    case cxoLeft:
    case cxoRight:
      return {FDepth, 0};
    case cxoTop:
    case cxoBottom:
      return {0, FDepth};
    default:
      return {FDepth, FDepth};
  }
}

template <typename T>
void TcxCustomLabelProperties::SetValue(T& AField, T AValue)
{
  if (AField == AValue)
    return;
  AField = AValue;
  Changed();
}

void TcxCustomLabelProperties::SetAngle(int AValue)
{
  SetValue(FAngle, AValue);
}

void TcxCustomLabelProperties::SetDepth(unsigned short AValue)
{
  SetValue(FDepth, AValue);
}

void TcxCustomLabelProperties::SetGlyph(TdxSmartGlyph* AValue)
{
  FGlyph->Assign(AValue);
  Changed();
}

void TcxCustomLabelProperties::SetLabelEffect(TcxLabelEffect AValue)
{
  SetValue(FLabelEffect, AValue);
}

void TcxCustomLabelProperties::SetLabelStyle(TcxLabelStyle AValue)
{
  SetValue(FLabelStyle, AValue);
}

void TcxCustomLabelProperties::SetLineOptions(TcxLabelLineOptions* AValue)
{
  FLineOptions->Assign(AValue);
}

void TcxCustomLabelProperties::SetOrientation(TcxLabelOrientation AValue)
{
  SetValue(FOrientation, AValue);
}

void TcxCustomLabelProperties::SetPenWidth(int AValue)
{
  SetValue(FPenWidth, AValue);
}

void TcxCustomLabelProperties::SetShadowedColor(vcl::TColor AValue)
{
  SetValue(FShadowedColor, AValue);
}

void TcxCustomLabelProperties::SetShowAccelChar(bool AValue)
{
  SetValue(FShowAccelChar, AValue);
}

void TcxCustomLabelProperties::SetShowEndEllipsis(bool AValue)
{
  SetValue(FShowEndEllipsis, AValue);
}

void TcxCustomLabelProperties::SetWordWrap(bool AValue)
{
  SetValue(FWordWrap, AValue);
}

void TcxCustomLabelProperties::ChildChanged(rtl::TObject* /*Sender*/)
{
  Changed();
}

// ---------------------------------------------------------------------------
// Rotated text

int cxLabelNormalizedAngle(int AAngle, bool AIsTrueType)
{
  return AIsTrueType ? ((AAngle % 360) + 360) % 360 : 0;
}

bool cxPrepareRotatedFont(TcxCanvas* ACanvas, vcl::TFont* AFont, int AAngle)
{
  ACanvas->GetFont()->Assign(AFont);
  const bool isTrueType = cxLabelIsTrueTypeDC(ACanvas->GetHandle());
  const int angle = cxLabelNormalizedAngle(AAngle, isTrueType);
  if (angle != 0) {
    LOGFONTW logFont = ACanvas->GetFont()->GetLogFont();
    logFont.lfEscapement = angle * 10;
    vcl::TOwnedFont rotated(CreateFontIndirectW(&logFont));
    if (rotated)
      ACanvas->GetFont()->SetHandle(rotated.Release());
  }
  return isTrueType;
}

TPoint TcxLabelHelper::CalculatePositionOfRotatedText(vcl::TCanvas* ACanvas, const rtl::String& AText,
                                                      bool AShowAccelChar, const TRect& ADrawingRect,
                                                      const TSize& ADepthDeltaSize, int AAngle,
                                                      rtl::TAlignment AAlignHorz, TcxEditVertAlignment AAlignVert)
{
  const rtl::String text = AShowAccelChar ? dxStripAmpersands(AText) : AText;
  const TSize extent = ACanvas->TextExtent(text);
  const int angle = cxLabelNormalizedAngle(AAngle, true);
  const double theta = angle * cxLabelDegreesToRadians;
  const double s = std::sin(theta);
  const double c = std::cos(theta);
  const double w = extent.cx;
  const double h = extent.cy;
  const double a = std::abs(s * w);
  const double b = std::abs(c * h);
  const double cw = std::abs(c * w);
  const double d = std::abs(s * h);
  const double totalHeight = a + b + ADepthDeltaSize.cy;
  const double totalWidth = cw + d + ADepthDeltaSize.cx;

  // Where the text's own top-left corner lies in its rotated bounding box.
  double x;
  double y;
  if (angle <= 90) {
    x = 0;
    y = a;
  } else if (angle < 180) {
    x = cw;
    y = totalHeight;
  } else if (angle < 270) {
    x = totalWidth;
    y = b;
  } else {
    x = d;
    y = 0;
  }

  TPoint result;
  switch (AAlignHorz) {
    case rtl::TAlignment::taLeftJustify:
      result.x = cxLabelRoundHalfEven(x + ADrawingRect.left);
      break;
    case rtl::TAlignment::taRightJustify:
      result.x = cxLabelRoundHalfEven(x + (ADrawingRect.right + 1 - totalWidth));
      break;
    default:
      result.x = cxLabelRoundHalfEven((ADrawingRect.left + ADrawingRect.right - (c * w + s * h)) / 2);
      break;
  }
  switch (AAlignVert) {
    case TcxEditVertAlignment::taTopJustify:
      result.y = cxLabelRoundHalfEven(y + ADrawingRect.top);
      break;
    case TcxEditVertAlignment::taBottomJustify:
      result.y = cxLabelRoundHalfEven(y + (ADrawingRect.bottom - totalHeight));
      break;
    default:
      result.y = cxLabelRoundHalfEven((s * w - c * h + ADrawingRect.top + ADrawingRect.bottom) / 2);
      break;
  }
  return result;
}

TPoint TcxLabelHelper::CalculatePositionOfRotatedText(vcl::TCanvas* ACanvas, const rtl::String& AText,
                                                      const TRect& ADrawingRect,
                                                      TcxCustomLabelProperties* AProperties)
{
  TcxEditAlignment* alignment = AProperties->GetAlignment();
  return CalculatePositionOfRotatedText(ACanvas, AText, AProperties->GetShowAccelChar(), ADrawingRect, {0, 0},
                                        AProperties->GetAngle(), alignment->GetHorz(), alignment->GetVert());
}

// ---------------------------------------------------------------------------
// The text with its effects

namespace {

int cxLabelCanvasTextFlags(const TcxLabelTextDrawParams& AParams)
{
  rtl::TAlignment horz = AParams.AlignHorz;
  if (AParams.UseRightToLeftAlignment && horz != rtl::TAlignment::taCenter)
    horz = horz == rtl::TAlignment::taLeftJustify ? rtl::TAlignment::taRightJustify : rtl::TAlignment::taLeftJustify;
  int flags = 0;
  switch (horz) {
    case rtl::TAlignment::taLeftJustify:
      flags |= cxtfAlignLeft;
      break;
    case rtl::TAlignment::taRightJustify:
      flags |= cxtfAlignRight;
      break;
    default:
      flags |= cxtfAlignHCenter;
      break;
  }
  switch (AParams.AlignVert) {
    case TcxEditVertAlignment::taTopJustify:
      flags |= cxtfAlignTop;
      break;
    case TcxEditVertAlignment::taBottomJustify:
      flags |= cxtfAlignBottom;
      break;
    default:
      flags |= cxtfAlignVCenter;
      break;
  }
  if (AParams.ShowEndEllipsis)
    flags |= cxtfEndEllipsis;
  if (AParams.ShowAccelChar)
    flags |= cxtfShowPrefix;
  if (AParams.WordWrap)
    flags |= cxtfWordBreak;
  return flags;
}

// One copy of the text at AOrigin: rotated text from its starting point,
// level text in the text rectangle moved by AOrigin.
void cxLabelDrawTextPass(TcxCanvas* ACanvas, const TcxLabelTextDrawParams& AParams, const TPoint& AOrigin)
{
  if (AParams.Angle != 0) {
    const rtl::String text = AParams.ShowAccelChar ? dxStripAmpersands(AParams.Text) : AParams.Text;
    ExtTextOutW(ACanvas->GetHandle(), AOrigin.x, AOrigin.y, 0, nullptr, text.c_str(),
                static_cast<UINT>(text.length()), nullptr);
    return;
  }
  TRect r = AParams.TextRect;
  r.right -= AParams.DepthDelta.cx;
  r.bottom -= AParams.DepthDelta.cy;
  OffsetRect(&r, AOrigin.x, AOrigin.y);
  ACanvas->DrawTexT(AParams.Text, r, cxLabelCanvasTextFlags(AParams));
}

// The text drawn as a clip path, the glyph tiled through it; plain text
// when there is no glyph or the font cannot make a path.
void cxLabelDrawGlyphFilledText(TcxCanvas* ACanvas, const TcxLabelTextDrawParams& AParams, const TPoint& AOrigin,
                                bool AIsTrueType)
{
  const bool hasGlyph = AParams.Glyph && !AParams.Glyph->GetEmpty();
  if (!hasGlyph || !AIsTrueType) {
    cxLabelDrawTextPass(ACanvas, AParams, AOrigin);
    return;
  }
  const HDC dc = ACanvas->GetHandle();
  // The path narrows the clip that was there: painting must not reach past
  // what the caller allowed.
  ACanvas->SaveClipRegion();
  BeginPath(dc);
  cxLabelDrawTextPass(ACanvas, AParams, AOrigin);
  EndPath(dc);
  SelectClipPath(dc, RGN_AND);
  ACanvas->FillRect(AParams.TextRect, AParams.Glyph);
  ACanvas->RestoreClipRegion();
}

void cxLabelDrawOutline(TcxCanvas* ACanvas, const TcxLabelTextDrawParams& AParams, const TPoint& AOrigin)
{
  const HDC dc = ACanvas->GetHandle();
  vcl::TPen* pen = ACanvas->GetPen();
  pen->SetColor(AParams.TextColor);
  pen->SetWidth(AParams.PenWidth);
  BeginPath(ACanvas->GetHandle());
  cxLabelDrawTextPass(ACanvas, AParams, AOrigin);
  EndPath(dc);
  StrokePath(ACanvas->GetHandle());
  pen->SetWidth(1);
}

vcl::TColor cxLabelFunCopyColor(vcl::TColor ABackground, vcl::TColor AShadowed, int AIndex, int ACount)
{
  const vcl::TColor background = vcl::ColorToRGB(ABackground);
  const vcl::TColor shadowed = vcl::ColorToRGB(AShadowed);
  vcl::TColor result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int from = (background >> shift) & 0xFF;
    const int to = (shadowed >> shift) & 0xFF;
    const int channel = static_cast<int>(std::trunc(from + AIndex * static_cast<double>(to - from) / ACount));
    result |= static_cast<vcl::TColor>(std::clamp(channel, 0, 255)) << shift;
  }
  return result;
}

int cxLabelScaled(const TcxLabelTextDrawParams& AParams, int AValue)
{
  return AParams.ScaleFactor ? AParams.ScaleFactor->Apply(AValue) : AValue;
}

}  // namespace

void cxLabelDrawText(TcxCanvas* ACanvas, const TcxLabelTextDrawParams& AParams)
{
  using enum TcxLabelOrientation;
  const bool isTrueType = cxLabelFontIsTrueType(ACanvas);
  vcl::TFont* font = ACanvas->GetFont();

  TPoint origin{0, 0};
  if (AParams.Angle != 0)
    origin = TcxLabelHelper::CalculatePositionOfRotatedText(ACanvas->GetCanvas(), AParams.Text,
                                                            AParams.ShowAccelChar, AParams.TextRect,
                                                            AParams.DepthDelta, AParams.Angle, AParams.AlignHorz,
                                                            AParams.AlignVert);
  TSize step{0, 0};
  const bool hasDepth = AParams.DepthDelta.cx != 0 || AParams.DepthDelta.cy != 0;
  if (hasDepth) {
    step = AParams.DepthDelta;
    const TcxLabelOrientation o = AParams.Orientation;
    if (o == cxoRight || o == cxoRightTop || o == cxoRightBottom) {
      origin.x += AParams.DepthDelta.cx + AParams.StyleOffset;
      step.cx = -step.cx;
    }
    if (o == cxoBottom || o == cxoLeftBottom || o == cxoRightBottom) {
      origin.y += AParams.DepthDelta.cy + AParams.StyleOffset;
      step.cy = -step.cy;
    }
    if (AParams.Effect == TcxLabelEffect::cxleFun || AParams.Effect == TcxLabelEffect::cxleExtrude)
      step = {cxLabelSign(step.cx), cxLabelSign(step.cy)};
  }

  ACanvas->GetBrush()->SetStyle(vcl::TBrushStyle::bsClear);

  if (hasDepth) {
    // The first copy is the farthest from the text.
    const int count = step.cx != 0 ? AParams.Depth / std::abs(step.cx) : AParams.Depth / std::abs(step.cy);
    for (int i = 1; i <= count; ++i) {
      font->SetColor(AParams.Effect == TcxLabelEffect::cxleFun
                         ? cxLabelFunCopyColor(AParams.BackgroundColor, AParams.ShadowedColor, i, count)
                         : AParams.ShadowedColor);
      cxLabelDrawTextPass(ACanvas, AParams, origin);
      origin.x += step.cx;
      origin.y += step.cy;
    }
    if (step.cx < 0)
      origin.x -= AParams.StyleOffset;
    if (step.cy < 0)
      origin.y -= AParams.StyleOffset;
  }

  const int one = cxLabelScaled(AParams, 1);
  const int two = cxLabelScaled(AParams, 2);
  const TPoint atOne{origin.x + one, origin.y + one};
  const TPoint atTwo{origin.x + two, origin.y + two};
  switch (AParams.Style) {
    case TcxLabelStyle::cxlsNormal:
      font->SetColor(AParams.TextColor);
      cxLabelDrawGlyphFilledText(ACanvas, AParams, origin, isTrueType);
      break;
    case TcxLabelStyle::cxlsRaised:
      font->SetColor(vcl::clBtnHighlight);
      cxLabelDrawTextPass(ACanvas, AParams, origin);
      if (font->GetSize() >= 12) {
        font->SetColor(vcl::clBtnShadow);
        cxLabelDrawTextPass(ACanvas, AParams, atTwo);
      }
      font->SetColor(AParams.TextColor);
      cxLabelDrawGlyphFilledText(ACanvas, AParams, atOne, isTrueType);
      break;
    case TcxLabelStyle::cxlsLowered:
      if (font->GetSize() > 11) {
        font->SetColor(vcl::clBtnShadow);
        cxLabelDrawTextPass(ACanvas, AParams, origin);
      }
      font->SetColor(vcl::clBtnHighlight);
      cxLabelDrawTextPass(ACanvas, AParams, atTwo);
      font->SetColor(AParams.TextColor);
      cxLabelDrawGlyphFilledText(ACanvas, AParams, atOne, isTrueType);
      break;
    case TcxLabelStyle::cxlsOutLine:
      font->SetColor(AParams.TextColor);
      if ((AParams.Glyph && !AParams.Glyph->GetEmpty()) || !isTrueType)
        cxLabelDrawGlyphFilledText(ACanvas, AParams, origin, isTrueType);
      if (isTrueType)
        cxLabelDrawOutline(ACanvas, AParams, origin);
      break;
  }

  ACanvas->GetBrush()->SetStyle(vcl::TBrushStyle::bsSolid);
}

TRect cxLabelCalculateLineRect(TRect& ATextRect, const TRect& AClientRect, bool AVertical, int ALineHeight,
                               bool AVisible, TcxLabelLineAlignment AAlignment, rtl::TAlignment AAlignHorz,
                               TcxEditVertAlignment AAlignVert)
{
  using enum TcxLabelLineAlignment;
  if (!AVisible)
    return {0, 0, 0, 0};
  TRect result = AClientRect;
  if (!AVertical) {
    switch (AAlignment) {
      case cxllaTop:
        result.bottom = result.top + ALineHeight;
        break;
      case cxllaBottom:
        result.top = result.bottom - ALineHeight;
        break;
      case cxllaCenter:
        result.top = (AClientRect.top + AClientRect.bottom - ALineHeight) / 2;
        result.bottom = result.top + ALineHeight;
        break;
    }
    if (AAlignHorz == rtl::TAlignment::taLeftJustify)
      result.left = ATextRect.right + 3;
    else if (AAlignHorz == rtl::TAlignment::taRightJustify)
      result.right = ATextRect.left - 3;
  } else {
    switch (AAlignment) {
      case cxllaTop:
        result.right = result.left + ALineHeight;
        break;
      case cxllaBottom:
        result.left = result.right - ALineHeight;
        break;
      case cxllaCenter:
        result.left = (AClientRect.left + AClientRect.right - ALineHeight) / 2;
        result.right = result.left + ALineHeight;
        break;
    }
    if (AAlignVert == TcxEditVertAlignment::taTopJustify)
      result.top = ATextRect.bottom - 3;
    else if (AAlignVert == TcxEditVertAlignment::taBottomJustify)
      result.bottom = ATextRect.top + 3;
  }
  TRect overlap;
  if (IntersectRect(&overlap, &result, &ATextRect)) {
    const int shift = ALineHeight * (AAlignment == cxllaTop ? 1 : AAlignment == cxllaBottom ? -1 : 0);
    if (AVertical)
      OffsetRect(&ATextRect, shift, 0);
    else
      OffsetRect(&ATextRect, 0, shift);
  }
  return result;
}

// ---------------------------------------------------------------------------
// TcxCustomLabelViewInfo

namespace {

// ARect reflected inside AWithin, for right-to-left alignment.
TRect cxLabelMirrorRect(const TRect& ARect, const TRect& AWithin)
{
  return {AWithin.left + AWithin.right - ARect.right, ARect.top, AWithin.left + AWithin.right - ARect.left,
          ARect.bottom};
}

}  // namespace

void TcxCustomLabelViewInfo::Create()
{
  inherited::Create();
  FAlignHorz = rtl::TAlignment::taLeftJustify;
  FAlignVert = TcxEditVertAlignment::taTopJustify;
  FDrawBitmap = rtl::New<TcxBitmap>();
  FInplaceOffset = {32000, 32000};
  FIsDrawBitmapDirty = true;
  FLabelEffect = TcxLabelEffect::cxleNormal;
  FLabelStyle = TcxLabelStyle::cxlsNormal;
  FLineInnerColor = vcl::clDefault;
  FLineOuterColor = vcl::clDefault;
  FLineOrientation = TdxOrientation::orHorizontal;
  FOrientation = TcxLabelOrientation::cxoRightBottom;
  FPenWidth = 1;
  FShadowedColor = vcl::clGrayText;
}

void TcxCustomLabelViewInfo::Destroy()
{
  rtl::FreeAndNil(FGlyph);
  rtl::FreeAndNil(FDrawBitmap);
  inherited::Destroy();
}

void TcxCustomLabelViewInfo::Offset(int DX, int DY)
{
  inherited::Offset(DX, DY);
  OffsetRect(&TextRect, DX, DY);
  OffsetRect(&FLineRect, DX, DY);
  OffsetRect(&FocusRect, DX, DY);
  // What shows through a transparent label differs at the new place.
  if (Transparent)
    FIsDrawBitmapDirty = true;
}

void TcxCustomLabelViewInfo::SetBackgroundColor(vcl::TColor AValue)
{
  if (AValue != GetBackgroundColor())
    FIsDrawBitmapDirty = true;
  inherited::SetBackgroundColor(AValue);
}

void TcxCustomLabelViewInfo::Paint(TcxCanvas* ACanvas)
{
  if (!Transparent)
    inherited::Paint(ACanvas);
  DrawLabel(ACanvas);
}

void TcxCustomLabelViewInfo::DrawLabelBackground(TcxCanvas* ACanvas, TcxCanvas* ADestination,
                                                 const TRect& AClientRect)
{
  if (DrawBackground(ACanvas))
    return;
  if (!Transparent || (IsInplace && Focused)) {
    ACanvas->FillRect(AClientRect, GetBackgroundColor());
    return;
  }
  if (IsInplace) {
    // The host painted under the cell already: take its pixels.
    if (ADestination != ACanvas)
      BitBlt(ACanvas->GetHandle(), AClientRect.left, AClientRect.top, cxRectGetWidth(AClientRect),
             cxRectGetHeight(AClientRect), ADestination->GetHandle(), ClientRect.left, ClientRect.top, SRCCOPY);
    return;
  }
  // The whole label, its border included: nothing of an earlier picture
  // may stay where the parent shows through.
  if (Control) {
    const TRect r = ADestination == ACanvas ? Bounds : AClientRect;
    const TPoint origin = ADestination == ACanvas ? TPoint{Bounds.left, Bounds.top}
                                                  : TPoint{ClientRect.left - AClientRect.left,
                                                           ClientRect.top - AClientRect.top};
    cxPaintParentBackgroundAt(Control, ACanvas, r, false, origin);
  }
}

bool TcxCustomLabelViewInfo::UsesDrawBitmap() const
{
  const bool hasDepth = FDepthDeltaSize.cx != 0 || FDepthDeltaSize.cy != 0;
  return IsInplace || (hasDepth && !Transparent);
}

void TcxCustomLabelViewInfo::DrawLabel(TcxCanvas* ACanvas)
{
  if (IsRectEmpty(&ClientRect) || !ACanvas->RectVisible(ClientRect))
    return;
  ACanvas->SaveState();
  rtl::Finally restore([ACanvas] { ACanvas->RestoreState(); });
  if (UsesDrawBitmap()) {
    DrawThroughBitmap(ACanvas);
    return;
  }
  TRect clientRect = ClientRect;
  if (NativeStyle && !Transparent)
    if (HTHEME theme = dxOpenTheme(TdxThemedObjectType::totEdit))
      dxUxGetThemeBackgroundContentRect(theme, ACanvas->GetHandle(), EP_EDITTEXT, NativeState, Bounds,
                                        &clientRect);
  const TRect textRect = UseRightToLeftAlignment ? cxLabelMirrorRect(TextRect, clientRect) : TextRect;
  DrawContent(ACanvas, ACanvas, clientRect, textRect, FLineRect);
}

// The depth copies are many text passes: an in-place label, or one with a
// depth effect on an opaque background, draws them once into a bitmap and
// copies that until something changes.
void TcxCustomLabelViewInfo::DrawThroughBitmap(TcxCanvas* ACanvas)
{
  const TPoint position{Left, Top};
  const TPoint windowOrg = ACanvas->GetWindowOrg();
  if (position.x != FInplaceOffset.x || position.y != FInplaceOffset.y || windowOrg.x != FWindowOrg.x ||
      windowOrg.y != FWindowOrg.y || FIsDrawBitmapDirty) {
    FInplaceOffset = position;
    FWindowOrg = windowOrg;
    FDrawBitmap->SetSize(cxRectGetWidth(ClientRect), cxRectGetHeight(ClientRect));
    const TPoint shift{-ClientRect.left, -ClientRect.top};
    TRect textRect = TextRect;
    OffsetRect(&textRect, shift.x, shift.y);
    TRect lineRect = FLineRect;
    if (!IsRectEmpty(&lineRect))
      OffsetRect(&lineRect, shift.x, shift.y);
    const TRect bitmapRect = FDrawBitmap->GetClientRect();
    if (UseRightToLeftAlignment)
      textRect = cxLabelMirrorRect(textRect, bitmapRect);
    DrawContent(FDrawBitmap->GetcxCanvas(), ACanvas, bitmapRect, textRect, lineRect);
    // A picture drawn partly hidden holds what the hidden part showed
    // then: draw again next time.
    TRect visible;
    GetClipBox(ACanvas->GetHandle(), &visible);
    TRect both;
    IntersectRect(&both, &visible, &ClientRect);
    FIsDrawBitmapDirty = !EqualRect(&both, &ClientRect);
  }
  BitBlt(ACanvas->GetHandle(), ClientRect.left, ClientRect.top, cxRectGetWidth(ClientRect),
         cxRectGetHeight(ClientRect), FDrawBitmap->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

void TcxCustomLabelViewInfo::DrawContent(TcxCanvas* ACanvas, TcxCanvas* ADestination, const TRect& AClientRect,
                                         const TRect& ATextRect, const TRect& ALineRect)
{
  DrawLabelBackground(ACanvas, ADestination, AClientRect);

  TcxLabelTextDrawParams params;
  params.Angle = cxLabelNormalizedAngle(FAngle, cxPrepareRotatedFont(ACanvas, Font, FAngle));
  params.Text = Text;
  params.TextRect = ATextRect;
  params.AlignHorz = FAlignHorz;
  params.AlignVert = FAlignVert;
  params.Effect = FLabelEffect;
  params.Style = FLabelStyle;
  params.Orientation = FOrientation;
  params.Depth = FDepth;
  params.DepthDelta = FDepthDeltaSize;
  params.StyleOffset = FLabelStyleOffset;
  params.TextColor = TextColor;
  params.ShadowedColor = FShadowedColor;
  params.BackgroundColor = GetBackgroundColor();
  params.PenWidth = FPenWidth;
  params.ShowAccelChar = ShowAccelChar;
  params.ShowEndEllipsis = FShowEndEllipsis;
  params.WordWrap = FWordWrap;
  params.UseRightToLeftAlignment = UseRightToLeftAlignment;
  params.Glyph = FGlyph;
  params.ScaleFactor = GetScaleFactor();
  cxLabelDrawText(ACanvas, params);

  if (!IsRectEmpty(&ALineRect) && Painter) {
    const bool vertical = FLineOrientation == TdxOrientation::orVertical;
    TRect gap = ATextRect;
    if (vertical)
      InflateRect(&gap, 0, 3);
    else
      InflateRect(&gap, 3, 0);
    ACanvas->SaveClipRegion();
    ACanvas->ExcludeClipRect(gap);
    Painter->DrawLabelLine(ACanvas, ALineRect, FLineOuterColor, FLineInnerColor, vertical);
    ACanvas->RestoreClipRegion();
  }
}

// ---------------------------------------------------------------------------
// TcxCustomLabelViewData

TcxCustomLabelProperties* TcxCustomLabelViewData::Properties() const
{
  return static_cast<TcxCustomLabelProperties*>(GetProperties());
}

TcxCustomLabel* TcxCustomLabelViewData::Label() const
{
  return GetIsInplace() ? nullptr : rtl::As<TcxCustomLabel>(GetEdit());
}

bool TcxCustomLabelViewData::ShowEndEllipsis() const
{
  // An ellipsis would cut text the label is about to grow for.
  TcxCustomLabel* label = Label();
  return Properties()->GetShowEndEllipsis() && !(label && label->SizesWidthToText());
}

TSize TcxCustomLabelViewData::ScaledDepthDelta() const
{
  return GetScaleFactor()->Apply(Properties()->CalculateDepthDelta(), Properties()->GetScaleFactor());
}

int TcxCustomLabelViewData::GetLabelStyleOffset(TcxCanvas* ACanvas)
{
  switch (Properties()->GetLabelStyle()) {
    case TcxLabelStyle::cxlsRaised:
    case TcxLabelStyle::cxlsLowered:
      return ACanvas->GetFont()->GetSize() >= 12 ? 2 : 1;
    default:
      return 0;
  }
}

int TcxCustomLabelViewData::GetLineHeight()
{
  TcxCustomLookAndFeelPainter* painter = Style() && Style()->GetLookAndFeel() ? Style()->GetLookAndFeel()->GetPainter()
                                                                             : nullptr;
  if (!GetEdit() || !painter)
    painter = cxLookAndFeelPaintersManager()->GetPainter(TcxLookAndFeelStyle::lfsStandard);
  return painter ? painter->LabelLineHeight() : 0;
}

bool TcxCustomLabelViewData::IsLineVisible(int AAngle)
{
  return LineOptions()->GetVisible() && (AAngle == 0 || AAngle == 90);
}

int TcxCustomLabelViewData::GetDrawTextFlags()
{
  int flags = 0;
  switch (Properties()->GetAlignment()->GetHorz()) {
    case rtl::TAlignment::taLeftJustify:
      flags |= cxtfAlignLeft;
      break;
    case rtl::TAlignment::taRightJustify:
      flags |= cxtfAlignRight;
      break;
    default:
      flags |= cxtfAlignHCenter;
      break;
  }
  switch (Properties()->GetAlignment()->GetVert()) {
    case TcxEditVertAlignment::taTopJustify:
      flags |= cxtfAlignTop;
      break;
    case TcxEditVertAlignment::taBottomJustify:
      flags |= cxtfAlignBottom;
      break;
    default:
      flags |= cxtfAlignVCenter;
      break;
  }
  if (ShowEndEllipsis())
    flags |= cxtfEndEllipsis;
  if (Properties()->GetWordWrap() && Properties()->GetAngle() % 360 == 0)
    flags |= cxtfWordBreak;
  return flags;
}

void TcxCustomLabelViewData::CalculateLineRect(TcxCustomLabelViewInfo* AViewInfo, int AAngle)
{
  AViewInfo->FLineRect = cxLabelCalculateLineRect(
      AViewInfo->TextRect, AViewInfo->ClientRect, AViewInfo->FLineOrientation == TdxOrientation::orVertical,
      GetLineHeight(), IsLineVisible(AAngle), LineOptions()->GetAlignment(), AViewInfo->FAlignHorz,
      AViewInfo->FAlignVert);
}

TSize TcxCustomLabelViewData::CalculateTextSize(TcxCanvas* ACanvas, const TRect& R, bool AFirstPass,
                                                const rtl::String& AText)
{
  TcxCustomLabelProperties* properties = Properties();
  const int angle = cxLabelNormalizedAngle(properties->GetAngle(), cxLabelFontIsTrueType(ACanvas));
  const bool rotated = angle != 0;
  const bool showAccelChar = properties->GetShowAccelChar();
  const rtl::String text = rotated && showAccelChar ? dxStripAmpersands(AText) : AText;
  int flags = cxtfAlignLeft | cxtfAlignTop;
  if (ShowEndEllipsis())
    flags |= cxtfEndEllipsis;
  if (showAccelChar && !rotated)
    flags |= cxtfShowPrefix;
  // Wrapping against no width at all would set every word on a line of
  // its own.
  if (properties->GetWordWrap() && !rotated && R.right > R.left)
    flags |= cxtfWordBreak;
  // The first pass wraps at word boundaries only; the second as an edit
  // control does.
  if (AFirstPass)
    flags |= cxtfNoCharBreak;
  TRect measured = R;
  ACanvas->GetBrush()->SetStyle(vcl::TBrushStyle::bsClear);
  ACanvas->TextExtent(text, measured, flags);
  ACanvas->GetBrush()->SetStyle(vcl::TBrushStyle::bsSolid);
  const double w = measured.right - measured.left;
  const double h = measured.bottom - measured.top;
  TSize result{static_cast<int>(w), static_cast<int>(h)};
  if (rotated) {
    const double theta = angle * cxLabelDegreesToRadians;
    result.cx = static_cast<int>(std::trunc(std::abs(w * std::cos(theta)) + std::abs(h * std::sin(theta)) + 0.5));
    result.cy = static_cast<int>(std::trunc(std::abs(w * std::sin(theta)) + std::abs(h * std::cos(theta)) + 0.5));
  }
  const int styleOffset = GetLabelStyleOffset(ACanvas);
  const TSize depth = ScaledDepthDelta();
  result.cx += styleOffset + depth.cx;
  result.cy += styleOffset + depth.cy;
  return result;
}

TRect TcxCustomLabelViewData::CalculateTextRect(TcxCanvas* ACanvas, const TRect& AClientRect,
                                                const rtl::String& AText)
{
  TRect result = AClientRect;
  if (GetIsInplace() && Properties()->GetAngle() == 0 && !IsLineVisible(0))
    return result;
  const TSize first = CalculateTextSize(ACanvas, result, true, AText);
  TcxEditAlignment* alignment = Properties()->GetAlignment();
  switch (alignment->GetHorz()) {
    case rtl::TAlignment::taLeftJustify:
      result.right = std::min(result.left + first.cx, result.right);
      break;
    case rtl::TAlignment::taRightJustify:
      result.left = std::max(result.right - first.cx, result.left);
      break;
    default:
      if (first.cx < result.right - result.left) {
        result.left += (result.right - result.left - first.cx) / 2;
        result.right = result.left + first.cx;
      }
      break;
  }
  const TSize second = CalculateTextSize(ACanvas, result, false, AText);
  switch (alignment->GetVert()) {
    case TcxEditVertAlignment::taTopJustify:
      result.bottom = std::min(result.top + second.cy, result.bottom);
      break;
    case TcxEditVertAlignment::taBottomJustify:
      result.top = std::max(result.bottom - second.cy, result.top);
      break;
    default:
      if (second.cy < result.bottom - result.top) {
        result.top += (result.bottom - result.top - second.cy) / 2;
        result.bottom = result.top + second.cy;
      }
      break;
  }
  return result;
}

void TcxCustomLabelViewData::EditValueToDrawValue(const rtl::Variant& AEditValue, TcxCustomEditViewInfo* AViewInfo)
{
  if (auto* viewInfo = rtl::As<TcxCustomLabelViewInfo>(AViewInfo))
    viewInfo->Text = EditValueToDisplayText(AEditValue);
}

void TcxCustomLabelViewData::Calculate(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P,
                                       TcxMouseButton Button, vcl::TShiftState Shift,
                                       TcxCustomEditViewInfo* AEditViewInfo, bool AIsMouseEvent)
{
  inherited::Calculate(ACanvas, ABounds, P, Button, Shift, AEditViewInfo, AIsMouseEvent);
  auto* AViewInfo = rtl::As<TcxCustomLabelViewInfo>(AEditViewInfo);
  // A container's measuring pass: no layout wanted.
  if (!AViewInfo || (GetIsInplace() && (ABounds.right >= 32000 || ABounds.bottom >= 32000)))
    return;
  AViewInfo->DrawTextFlags = GetDrawTextFlags();
  // A frame of the native theme needs a border to stand on.
  if (AViewInfo->NativeStyle && AViewInfo->BorderStyle == TcxEditBorderStyle::ebsNone)
    AViewInfo->NativeStyle = false;
  TcxCustomLabel* label = Label();
  if (label) {
    AViewInfo->Transparent = label->GetTransparent();
    AViewInfo->Control = label;
    AViewInfo->Text = label->GetCaption();
  }
  TcxCustomLabelProperties* properties = Properties();
  TdxScaleFactor* scaleFactor = GetScaleFactor();
  AViewInfo->FLabelEffect = properties->GetLabelEffect();
  AViewInfo->FLabelStyle = properties->GetLabelStyle();
  AViewInfo->FOrientation = properties->GetOrientation();
  AViewInfo->FDepth = scaleFactor->Apply(properties->GetDepth(), properties->GetScaleFactor());
  AViewInfo->FShadowedColor = properties->GetShadowedColor();
  AViewInfo->ShowAccelChar = properties->GetShowAccelChar();
  AViewInfo->FAngle = properties->GetAngle();
  AViewInfo->FPenWidth = properties->GetPenWidth();
  AViewInfo->FWordWrap = properties->GetWordWrap();
  AViewInfo->FShowEndEllipsis = ShowEndEllipsis();
  AViewInfo->FLineOuterColor = LineOptions()->GetOuterColor();
  AViewInfo->FLineInnerColor = LineOptions()->GetInnerColor();
  AViewInfo->FAlignHorz = properties->GetAlignment()->GetHorz();
  AViewInfo->FAlignVert = properties->GetAlignment()->GetVert();
  rtl::FreeAndNil(AViewInfo->FGlyph);
  AViewInfo->HasGlyph = !properties->GetGlyph()->GetEmpty();
  if (AViewInfo->HasGlyph)
    AViewInfo->FGlyph = properties->GetGlyph()->GetAsBitmap();
  AViewInfo->FDepthDeltaSize = ScaledDepthDelta();

  {
    ACanvas->SaveState();
    rtl::Finally restore([ACanvas] { ACanvas->RestoreState(); });
    const int angle = cxLabelNormalizedAngle(properties->GetAngle(),
                                             cxPrepareRotatedFont(ACanvas, AViewInfo->Font, properties->GetAngle()));
    AViewInfo->FLabelStyleOffset = GetLabelStyleOffset(ACanvas);
    AViewInfo->TextRect = CalculateTextRect(ACanvas, AViewInfo->ClientRect, AViewInfo->Text);
    AViewInfo->FLineOrientation = angle == 0 ? TdxOrientation::orHorizontal : TdxOrientation::orVertical;
    CalculateLineRect(AViewInfo, angle);
  }

  AViewInfo->FocusRect = {};
  if (label && Focused && !AViewInfo->Text.empty()) {
    AViewInfo->FocusRect = AViewInfo->TextRect;
    InflateRect(&AViewInfo->FocusRect, 1, 1);
  }
  if (vcl::TControl* control = rtl::As<vcl::TControl>(GetEdit()))
    AViewInfo->LeftTop = {control->GetLeft(), control->GetTop()};
  AViewInfo->FIsDrawBitmapDirty = true;
}

rtl::String TcxCustomLabelViewData::MeasuredText(const rtl::Variant& AEditValue) const
{
  rtl::String text;
  if (TcxCustomEdit* edit = GetEdit()) {
    if (auto* viewInfo = rtl::As<TcxCustomLabelViewInfo>(edit->GetViewInfo()))
      text = viewInfo->Text;
  } else {
    text = Properties()->GetDisplayText(AEditValue);
  }
  return text.empty() ? rtl::String(L" ") : text;
}

TSize TcxCustomLabelViewData::GetEditContentSize(TcxCanvas* ACanvas, const rtl::Variant& AEditValue,
                                                 const TcxEditSizeProperties& AEditSizeProperties,
                                                 TcxEditValidateInfo* /*AErrorData*/)
{
  ACanvas->SaveState();
  rtl::Finally restore([ACanvas] { ACanvas->RestoreState(); });
  TcxCustomLabelProperties* properties = Properties();
  const int angle = cxLabelNormalizedAngle(
      properties->GetAngle(), cxPrepareRotatedFont(ACanvas, Style()->GetVisibleFont(), properties->GetAngle()));
  const TSize depth = ScaledDepthDelta();
  const TSize correction = GetEditContentSizeCorrection();
  const int styleOffset = GetLabelStyleOffset(ACanvas);
  const bool inplace = GetIsInplace();
  const bool framed = !inplace && Style()->GetBorderStyle() != TcxContainerBorderStyle::cbsNone;
  int width = AEditSizeProperties.Width;
  if (width >= 0) {
    width -= styleOffset + depth.cx;
    width -= inplace ? correction.cx : framed ? 2 : 0;
  }
  TSize result = CalculateTextSize(ACanvas, {0, 0, width, 0}, true, MeasuredText(AEditValue));
  if (inplace) {
    result.cx += correction.cx;
    result.cy += correction.cy;
  } else if (framed) {
    result.cx += 2;
  }
  if (IsLineVisible(angle) && LineOptions()->GetAlignment() != TcxLabelLineAlignment::cxllaCenter) {
    if (angle == 0)
      result.cy += GetLineHeight();
    else
      result.cx -= GetLineHeight();
  }
  return result;
}

// ---------------------------------------------------------------------------
// TcxLabelEditStyle

vcl::TColor cxGetContainerTextColor(TcxContainer* AContainer)
{
  rtl::IPtr<IcxContainerTextColorProvider> provider;
  if (!AContainer || !AContainer->GetParent() || !rtl::Supports(AContainer->GetParent(), &provider))
    return vcl::clDefault;
  return provider->GetContainerTextColor(AContainer->GetEnabled());
}

vcl::TColor TcxLabelEditStyle::GetDefaultTextColor()
{
  const vcl::TColor color = cxGetContainerTextColor(GetContainer());
  return color != vcl::clDefault ? color : inherited::GetDefaultTextColor();
}

TcxContainerBorderStyle TcxLabelEditStyle::GetDefaultBorderStyle()
{
  return GetState() == TcxContainerStateItem::csNormal ? TcxContainerBorderStyle::cbsNone
                                                        : inherited::GetDefaultBorderStyle();
}

// ---------------------------------------------------------------------------
// TcxCustomLabel

namespace {

// The character after the first single '&' of a caption, upper-cased; 0
// when there is none.
wchar_t cxLabelAccelChar(const rtl::String& ACaption)
{
  for (std::size_t i = 0; i + 1 < ACaption.size(); ++i) {
    if (ACaption[i] != L'&')
      continue;
    if (ACaption[i + 1] != L'&')
      return static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(
          CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(ACaption[i + 1])))));
    ++i;
  }
  return 0;
}

bool cxLabelIsAccel(wchar_t AChar, const rtl::String& ACaption)
{
  const wchar_t accel = cxLabelAccelChar(ACaption);
  return accel != 0 &&
         accel == static_cast<wchar_t>(
                      reinterpret_cast<UINT_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(AChar)))));
}

}  // namespace

void TcxCustomLabel::Initialize()
{
  inherited::Initialize();
  vcl::TControlStyle style = GetControlStyle();
  style.Exclude(vcl::TControlStyleItem::csCaptureMouse);
  SetControlStyle(style);
  SetWidth(121);
  SetHeight(21);
}

void TcxCustomLabel::Loaded()
{
  if (cxCanAllocateControlHandle(this))
    HandleNeeded();
  inherited::Loaded();
}

TcxCustomEditPropertiesClass TcxCustomLabel::GetPropertiesClass()
{
  return TcxCustomEditPropertiesClass::Of<TcxCustomLabelProperties>();
}

TcxCustomLabelProperties* TcxCustomLabel::GetActiveProperties()
{
  return static_cast<TcxCustomLabelProperties*>(inherited::GetActiveProperties());
}

TcxCustomLabelProperties* TcxCustomLabel::GetProperties()
{
  return static_cast<TcxCustomLabelProperties*>(GetInternalProperties());
}

void TcxCustomLabel::SetProperties(TcxCustomLabelProperties* AValue)
{
  inherited::SetProperties(AValue);
}

bool TcxCustomLabel::CanFocus()
{
  return IsInplace() && inherited::CanFocus();
}

bool TcxCustomLabel::CanFocusOnClick(int X, int Y)
{
  return IsInplace() && inherited::CanFocusOnClick(X, Y);
}

bool TcxCustomLabel::SizesWidthToText()
{
  return CanAutoWidth();
}

bool TcxCustomLabel::HasTextBaseLine()
{
  // The raw angle: a whole turn still counts as turned here.
  return GetActiveProperties()->GetAngle() == 0;
}

void TcxCustomLabel::SetFocusControl(vcl::TWinControl* AValue)
{
  if (AValue == this || AValue == FFocusControl)
    return;
  if (FFocusControl)
    FFocusControl->RemoveFreeNotification(this);
  FFocusControl = AValue;
  if (FFocusControl)
    FFocusControl->FreeNotification(this);
}

void TcxCustomLabel::Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation)
{
  inherited::Notification(AComponent, AOperation);
  if (AOperation == rtl::TOperation::opRemove && AComponent == FFocusControl)
    FFocusControl = nullptr;
}

void TcxCustomLabel::SetAutoSize(bool AValue)
{
  // A line spans the whole width: the label cannot size to its text with it.
  if (AValue)
    GetActiveProperties()->GetLineOptions()->SetVisible(false);
  inherited::SetAutoSize(AValue);
}

void TcxCustomLabel::PropertiesChanged(rtl::TObject* Sender)
{
  if (GetActiveProperties()->GetLineOptions()->GetVisible())
    inherited::SetAutoSize(false);
  inherited::PropertiesChanged(Sender);
}

void TcxCustomLabel::ApplyEditValue(const rtl::Variant& AValue, bool AIsUserAction)
{
  inherited::ApplyEditValue(AValue, AIsUserAction);
  if (!FLockCaption) {
    FLockCaption = true;
    rtl::Finally unlock([this] { FLockCaption = false; });
    SetCaption(rtl::VarToStr(AValue));
  }
  ShortRefreshContainer(false);
}

void TcxCustomLabel::HandleCMTextChanged(rtl::TMessage& Message)
{
  rtl::InheritedMessage(this, Message);
  if (FLockCaption)
    return;
  FLockCaption = true;
  rtl::Finally unlock([this] { FLockCaption = false; });
  SetInternalEditValue(rtl::Variant(GetCaption()));
}

void TcxCustomLabel::HandleLabelDialogChar(rtl::TMessage& Message)
{
  if (FFocusControl && GetEnabled() && GetActiveProperties()->GetShowAccelChar() &&
      cxLabelIsAccel(static_cast<wchar_t>(Message.WParam), GetCaption()) && FFocusControl->CanFocus()) {
    FFocusControl->SetFocus();
    Message.Result = 1;
    return;
  }
  rtl::InheritedMessage(this, Message);
}

TcxEditStateColorKind TcxCustomLabel::GetDrawState()
{
  return GetEnabled() ? TcxEditStateColorKind::esckNormal : TcxEditStateColorKind::esckDisabled;
}

bool TcxCustomLabel::SupportsAutoWidth()
{
  return !GetActiveProperties()->GetWordWrap();
}

bool TcxCustomLabel::UsesWordWrap()
{
  return GetActiveProperties()->GetWordWrap();
}

TcxEditSizeProperties TcxCustomLabel::GetEditSizeProperties()
{
  TcxEditSizeProperties result = inherited::GetEditSizeProperties();
  // Wrapped text keeps the width and grows in height; otherwise the text
  // has all the room it wants.
  result.Width = GetActiveProperties()->GetWordWrap() ? inherited::GetWidth() : 32000;
  return result;
}

// ---------------------------------------------------------------------------
// TcxLabel

TcxCustomEditPropertiesClass TcxLabel::GetPropertiesClass()
{
  return TcxCustomEditPropertiesClass::Of<TcxLabelProperties>();
}

// ---------------------------------------------------------------------------
// Start-up

namespace {

void cxLabelInitialization()
{
  rtl::RegisterClass(rtl::TPersistentClass::Of<TcxLabel>());
  cxEditPropertiesRegistry()->Register(TcxLabelProperties::StaticClass(),
                                       dxLookupResourceString(scxSEditRepositoryLabelItem));
  cxFilterEditsControllerInstance()->Register(TcxLabelProperties::StaticClass(), TcxFilterTextEditHelper::Class());
}

void cxLabelFinalization()
{
  rtl::UnRegisterClass(rtl::TPersistentClass::Of<TcxLabel>());
  cxEditPropertiesRegistry()->Unregister(TcxLabelProperties::StaticClass());
  cxFilterEditsControllerUnregister(TcxLabelProperties::StaticClass(), TcxFilterTextEditHelper::Class());
}

}  // namespace

RTL_UNIT(cxLabel, &cxLabelInitialization, &cxLabelFinalization);
