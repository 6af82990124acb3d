// The button's layout and painting: the view info of one paint, the layout
// calculators by kind (standard, Office drop-down, command link) and the
// button painter over the look-and-feel painter.
#include <windows.h>

#include <vsstyle.h>

#include <algorithm>

#include "controls/cxBufferedPaint.h"
#include "core/cxGeometry.h"
#include "core/dxThemeManager.h"
#include "core/dxUxTheme.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/cxGraphicsControls.h"
#include "graphics/cxGraphicsDraw.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "simplecontrols/cxButtons.h"

using rtl::String;
using vcl::TButtonLayout;
using vcl::TColor;

namespace {

int RectWidth(const TRect& R)
{
  return R.right - R.left;
}

int RectHeight(const TRect& R)
{
  return R.bottom - R.top;
}

bool IsRectEmptyOrInverted(const TRect& R)
{
  return R.right <= R.left || R.bottom <= R.top;
}

TRect DeflatedRect(const TRect& R, const TRect& AMargins)
{
  return {R.left + AMargins.left, R.top + AMargins.top, R.right - AMargins.right, R.bottom - AMargins.bottom};
}

// R mirrored horizontally within AParent; an empty R stays as it is.
TRect MirroredRect(const TRect& R, const TRect& AParent)
{
  if (IsRectEmptyOrInverted(R))
    return R;
  return {AParent.left + AParent.right - R.right, R.top, AParent.left + AParent.right - R.left, R.bottom};
}

// DT_CALCRECT of AText in AFont: the size of the text drawn into R.
TSize MeasureText(const String& AText, vcl::TFont* AFont, const TRect& R, UINT AFlags)
{
  TRect bounds = R;
  vcl::TScreenDC dc;
  vcl::TSelectObjectGuard font(dc.Get(), AFont->GetHandle());
  DrawTextW(dc.Get(), AText.c_str(), static_cast<int>(AText.size()), &bounds, AFlags | DT_CALCRECT);
  return {RectWidth(bounds), RectHeight(bounds)};
}

}  // namespace

// ---------------------------------------------------------------------------
// TcxButtonViewInfo

void TcxButtonViewInfo::Create(TcxCustomButton* AOwner)
{
  inherited::Create(AOwner);
  FFont = rtl::New<vcl::TFont>();
  FDescriptionFont = rtl::New<vcl::TFont>();
  FPainter = CreatePainter();
}

void TcxButtonViewInfo::Destroy()
{
  rtl::FreeAndNil(FPainter);
  rtl::FreeAndNil(FDescriptionFont);
  rtl::FreeAndNil(FFont);
  inherited::Destroy();
}

TcxButtonPainter* TcxButtonViewInfo::CreatePainter()
{
  return rtl::New<TcxButtonPainter>(FButton);
}

TcxButtonGlyph* TcxButtonViewInfo::ButtonGlyph() const
{
  return FButton->FGlyph;
}

String TcxButtonViewInfo::Caption() const
{
  return FButton->GetText();
}

String TcxButtonViewInfo::Description() const
{
  return FButton->GetDescription();
}

TcxButtonKind TcxButtonViewInfo::Kind() const
{
  return FButton->GetKind();
}

bool TcxButtonViewInfo::IsDrawOnGlass() const
{
  return cxIsControlPaintingOnGlass(FButton);
}

// A pressed main part shows its drop-down part hot (focused) or normal.
TcxButtonState TcxButtonViewInfo::DropDownButtonState() const
{
  if (FButton->FInternalStates.Contains(TcxButtonInternalState::bisMenuVisible))
    return TcxButtonState::cxbsPressed;
  if (FState == TcxButtonState::cxbsPressed)
    return FButton->FIsFocused ? TcxButtonState::cxbsHot : TcxButtonState::cxbsNormal;
  return FState;
}

bool TcxButtonViewInfo::NeedDrawDropDownArrow() const
{
  if (IsRectEmptyOrInverted(FDropDownArrowRect))
    return false;
  return !(HasDropDownButton() && FPainter->LookAndFeelStyle() == TcxLookAndFeelStyle::lfsSkin);
}

bool TcxButtonViewInfo::NeedDrawFocusRect() const
{
  return FButton->CanFocus() && FButton->FShowFocusRect && FButton->Focused() &&
         !FButton->FInternalStates.Contains(TcxButtonInternalState::bisMenuVisible);
}

bool TcxButtonViewInfo::HasText()
{
  const TcxButtonPaintStyle style = FButton->GetPaintStyle();
  return (style != TcxButtonPaintStyle::bpsGlyph || Kind() == TcxButtonKind::cxbkCommandLink) && !Caption().empty();
}

bool TcxButtonViewInfo::HasGlyph()
{
  return FButton->GetPaintStyle() != TcxButtonPaintStyle::bpsCaption && ButtonGlyph()->IsImageAssigned();
}

TSize TcxButtonViewInfo::ImageSize() const
{
  TcxButtonGlyph* glyph = ButtonGlyph();
  TdxScaleFactor* scale = FButton->GetScaleFactor();
  if (!glyph->GetGlyph()->GetEmpty()) {
    // A zero source size breaks an invariant the development build checks;
    // the size below is used as it comes.
    TdxSmartGlyph* picture = glyph->GetGlyph();
    const TSize source{picture->GetSourceWidth() / std::max(glyph->GetNumGlyphs(), 1), picture->GetSourceHeight()};
    return scale->Apply(source, picture->GetSourceDPIValue(), 96);
  }
  if (vcl::TCustomImageList* images = glyph->GetImages())
    return scale->Apply(TSize{images->GetWidth(), images->GetHeight()});
  if (Kind() == TcxButtonKind::cxbkCommandLink)
    return FPainter->GetCommandLinkGlyphSize();
  return {0, 0};
}

TRect TcxButtonViewInfo::GetContentRect(TcxButtonState AState)
{
  if (Kind() == TcxButtonKind::cxbkCommandLink)
    return FButtonRect;
  const int border = FPainter->LookAndFeelPainter()->ButtonBorderSize(AState);
  return {FButtonRect.left + border, FButtonRect.top + border, FButtonRect.right - border,
          FButtonRect.bottom - border};
}

void TcxButtonViewInfo::Calculate(const TRect& ABounds)
{
  FBounds = ABounds;
  FState = FButton->GetButtonState();
  CheckLayout();
  CalculateViewParams();
  CalculateButtonRects();
  CalculateLayout();
}

// A right-to-left button shows its glyph on the other side.
void TcxButtonViewInfo::CheckLayout()
{
  FLayout = FButton->GetOptionsImage()->GetLayout();
  if ((TcxButtonPainter::GetBiDiFlags(FButton) & DT_RIGHT) == 0)
    return;
  if (FLayout == TButtonLayout::blGlyphLeft)
    FLayout = TButtonLayout::blGlyphRight;
  else if (FLayout == TButtonLayout::blGlyphRight)
    FLayout = TButtonLayout::blGlyphLeft;
}

void TcxButtonViewInfo::CalculateViewParams()
{
  FFont->Assign(FButton->GetFont());
  FFont->SetColor(FPainter->GetTextColor(FState, FButton->GetFont()->GetColor()));
  FDescriptionFont->Assign(FFont);
  FDescriptionFont->SetColor(FPainter->GetDescriptionTextColor(FState, FFont->GetColor()));
  if (Kind() == TcxButtonKind::cxbkCommandLink) {
    FDescriptionFont->SetHeight(MulDiv(FFont->GetHeight(), 3, 4));
    FDescriptionFont->SetSize(std::max(FDescriptionFont->GetSize(), 1));
  }
  FColor = FButton->GetColors()->GetColorByState(FState);
  FButton->DoGetDrawParams(FState, FColor, FFont);
}

// The split button's two faces overlap by two pixels so that they read as
// one button, except under a skin or in speed-button parts.
void TcxButtonViewInfo::CalculateButtonRects()
{
  FButtonRect = FBounds;
  FDropDownButtonRect = {};
  if (!HasDropDownButton())
    return;
  const int width = FPainter->GetDropDownButtonSize();
  const bool rightToLeft = FButton->UseRightToLeftAlignment();
  const bool overlap = FPainter->LookAndFeelStyle() != TcxLookAndFeelStyle::lfsSkin &&
                       !FButton->GetSpeedButtonOptions()->NeedDrawParts();
  if (rightToLeft) {
    FDropDownButtonRect = {FBounds.left, FBounds.top, FBounds.left + width, FBounds.bottom};
    FButtonRect.left = FDropDownButtonRect.right - (overlap ? 2 : 0);
  } else {
    FDropDownButtonRect = {FBounds.right - width, FBounds.top, FBounds.right, FBounds.bottom};
    FButtonRect.right = FDropDownButtonRect.left + (overlap ? 2 : 0);
  }
}

rtl::TObject* TcxButtonViewInfo::CreateLayoutCalculator()
{
  switch (Kind()) {
    case TcxButtonKind::cxbkCommandLink:
      return rtl::New<TcxButtonCommandLinkLayoutCalculator>(FButton);
    case TcxButtonKind::cxbkOfficeDropDown:
      return rtl::New<TcxButtonOfficeDropDownLayoutCalculator>(FButton);
    default:
      return rtl::New<TcxButtonStandardLayoutCalculator>(FButton);
  }
}

void TcxButtonViewInfo::CalculateLayout()
{
  FCaptionRect = {};
  FDescriptionRect = {};
  FDropDownArrowRect = {};
  FGlyphPos = {0, 0};
  const rtl::TOwnedPtr<rtl::TObject> calculator(CreateLayoutCalculator());
  static_cast<TcxButtonCustomLayoutCalculator*>(calculator.get())->Calculate();
}

UINT TcxButtonViewInfo::CaptionDrawTextFlags()
{
  const bool wordWrap = FButton->GetWordWrap();
  switch (Kind()) {
    case TcxButtonKind::cxbkCommandLink:
      return DT_WORDBREAK | DT_END_ELLIPSIS;
    case TcxButtonKind::cxbkOfficeDropDown: {
      UINT flags = DT_VCENTER;
      if (FLayout == TButtonLayout::blGlyphTop || FLayout == TButtonLayout::blGlyphBottom)
        flags |= DT_CENTER;
      return wordWrap ? flags | DT_WORDBREAK : flags;
    }
    default:
      return DT_CENTER | DT_VCENTER | DT_NOCLIP | (wordWrap ? DT_WORDBREAK : 0);
  }
}

UINT TcxButtonViewInfo::DescriptionDrawTextFlags()
{
  if (Kind() != TcxButtonKind::cxbkOfficeDropDown)
    return DT_WORDBREAK;
  switch (FLayout) {
    case TButtonLayout::blGlyphLeft:
      return DT_LEFT | DT_WORDBREAK;
    case TButtonLayout::blGlyphRight:
      return DT_RIGHT | DT_WORDBREAK;
    default:
      return DT_CENTER | DT_WORDBREAK;
  }
}

void TcxButtonViewInfo::Draw(TcxCanvas* ACanvas)
{
  if (FButton->UseNativePaint())
    return;
  FPainter->DrawParentBackground(ACanvas, FBounds);
  TdxFader* fader = dxGetFader();
  if (!fader || !fader->DrawFadeImage(FButton, ACanvas->GetHandle(), FBounds))
    DrawBackground(ACanvas);
  DrawContent(ACanvas);
  if (NeedDrawFocusRect())
    FPainter->DrawFocusRect(ACanvas, FButtonRect);
}

void TcxButtonViewInfo::DrawBackground(TcxCanvas* ACanvas)
{
  if (HasDropDownButton()) {
    FPainter->DrawButton(ACanvas, FButtonRect, FState, FColor, TcxButtonPart::cxbpDropDownLeftPart);
    FPainter->DrawButton(ACanvas, FDropDownButtonRect, DropDownButtonState(), FColor,
                         TcxButtonPart::cxbpDropDownRightPart);
  } else {
    FPainter->DrawButton(ACanvas, FButtonRect, FState, FColor, TcxButtonPart::cxbpButton);
  }
}

void TcxButtonViewInfo::DrawContent(TcxCanvas* ACanvas)
{
  if (NeedDrawDropDownArrow())
    FPainter->DrawDropDownArrow(ACanvas, FDropDownArrowRect, DropDownButtonState());
  ACanvas->SaveClipRegion();
  rtl::Finally restore([ACanvas] { ACanvas->RestoreClipRegion(); });
  ACanvas->IntersectClipRect(GetContentRect(FState));
  if (HasGlyph())
    DrawGlyph(ACanvas);
  if (HasText() && !IsRectEmptyOrInverted(FCaptionRect)) {
    ACanvas->GetFont()->Assign(FFont);
    FPainter->DrawText(ACanvas, Caption(), FCaptionRect, FState, CaptionDrawTextFlags());
  }
  if (!IsRectEmptyOrInverted(FDescriptionRect)) {
    ACanvas->GetFont()->Assign(FDescriptionFont);
    FPainter->DrawText(ACanvas, Description(), FDescriptionRect, FState, DescriptionDrawTextFlags());
  }
}

// The strip's columns: normal, disabled, pressed (when it has three).
void TcxButtonViewInfo::DrawGlyph(TcxCanvas* ACanvas)
{
  TcxButtonGlyph* glyph = ButtonGlyph();
  const int numGlyphs = glyph->GetNumGlyphs();
  int index = 0;
  if (FState == TcxButtonState::cxbsPressed)
    index = numGlyphs < 3 ? 0 : 2;
  else if (FState == TcxButtonState::cxbsDisabled)
    index = 1;
  const TSize size = ImageSize();
  const TRect target{FGlyphPos.x, FGlyphPos.y, FGlyphPos.x + size.cx, FGlyphPos.y + size.cy};
  IdxColorPalette* palette = FPainter->LookAndFeelPainter()->ButtonColorPalette(FState);
  TdxSmartGlyph* picture = glyph->GetGlyph();
  if (!picture->GetEmpty() && numGlyphs > 1) {
    if (index >= numGlyphs)
      index = 0;
    const int columnWidth = picture->GetWidth() / numGlyphs;
    const TRect source{index * columnWidth, 0, (index + 1) * columnWidth, picture->GetHeight()};
    if (RectWidth(source) == size.cx && RectHeight(source) == size.cy) {
      picture->StretchDraw(ACanvas->GetHandle(), target, source, 255, palette);
      return;
    }
    const rtl::TOwnedPtr<TcxBitmap32> buffer(rtl::New<TcxBitmap32>());
    buffer->CreateSize(size.cx, size.cy, false);
    const HDC bufferDC = buffer->GetCanvas()->GetHandle();
    BitBlt(bufferDC, 0, 0, size.cx, size.cy, ACanvas->GetHandle(), target.left, target.top, SRCCOPY);
    picture->StretchDraw(bufferDC, buffer->GetClientRect(), source, 255, palette);
    BitBlt(ACanvas->GetHandle(), target.left, target.top, size.cx, size.cy, bufferDC, 0, 0, SRCCOPY);
    return;
  }
  const auto mode = index == 1 ? TcxImageDrawMode::idmDisabled : TcxImageDrawMode::idmNormal;
  if (!picture->GetEmpty()) {
    cxDrawImage(ACanvas, target, picture, true, FButton->GetScaleFactor(), palette, true, mode,
                TcxImageFitMode::ifmStretch);
    return;
  }
  // An image-list image: its bitmap is drawn the same way as a picture.
  vcl::TCustomImageList* images = glyph->GetImages();
  const rtl::TOwnedPtr<vcl::TBitmap> bitmap(rtl::New<vcl::TBitmap>());
  if (images && images->GetBitmap(glyph->GetImageIndex(), bitmap.get()))
    cxDrawImage(ACanvas, target, bitmap.get(), true, FButton->GetScaleFactor(), palette, true, mode,
                TcxImageFitMode::ifmStretch);
}

// ---------------------------------------------------------------------------
// Layout calculators

TcxButtonImageOptions* TcxButtonCustomLayoutCalculator::OptionsImage() const
{
  return FButton->GetOptionsImage();
}

TcxButtonPainter* TcxButtonCustomLayoutCalculator::Painter() const
{
  return ViewInfo()->GetPainter();
}

bool TcxButtonCustomLayoutCalculator::UseRightToLeftAlignment() const
{
  return FButton->UseRightToLeftAlignment();
}

TcxButtonViewInfo* TcxButtonCustomLayoutCalculator::ViewInfo() const
{
  return FButton->GetViewInfo();
}

TPoint& TcxButtonStandardLayoutCalculator::GlyphPos() const
{
  return ViewInfo()->FGlyphPos;
}

TSize TcxButtonStandardLayoutCalculator::GlyphSize() const
{
  return ViewInfo()->HasGlyph() ? ViewInfo()->ImageSize() : TSize{0, 0};
}

TButtonLayout TcxButtonStandardLayoutCalculator::Layout() const
{
  return ViewInfo()->GetLayout();
}

bool TcxButtonStandardLayoutCalculator::IsHorizontalLayout() const
{
  return Layout() == TButtonLayout::blGlyphLeft || Layout() == TButtonLayout::blGlyphRight;
}

void TcxButtonStandardLayoutCalculator::Calculate()
{
  FSpacing = OptionsImage()->GetSpacing();
  FMargin = OptionsImage()->GetMargin();
  Calculate(ViewInfo()->GetContentRect(TcxButtonState::cxbsDefault));
  CalculateDropDownArrowRect();
}

void TcxButtonStandardLayoutCalculator::Calculate(const TRect& AContentRect)
{
  TRect R = AContentRect;
  if (ViewInfo()->GetState() == TcxButtonState::cxbsPressed) {
    const TPoint shift = Painter()->GetPressedTextShift();
    OffsetRect(&R, shift.x, shift.y);
  }
  const TRect margins = GetTextMargins();
  CalculateTextAreaSize(R, margins);
  CalculateMarginAndSpacing(R);
  CalculateGlyphPos(R);
  SetCaptionRect(CalculateTextAreaRect(R, margins));
}

TRect TcxButtonStandardLayoutCalculator::GetTextMargins()
{
  return ViewInfo()->HasGlyph() ? TRect{0, 0, 0, 0} : TRect{1, 0, 2, 0};
}

TRect TcxButtonStandardLayoutCalculator::TextBounds(const TRect& R, const TRect& AMargins)
{
  TRect bounds = DeflatedRect({0, 0, RectWidth(R), 0}, AMargins);
  if (IsHorizontalLayout())
    bounds.right -= GlyphSize().cx + FSpacing + std::max(FMargin, 0);
  return bounds;
}

void TcxButtonStandardLayoutCalculator::CalculateTextAreaSize(const TRect& R, const TRect& AMargins)
{
  FTextAreaSize = {0, 0};
  if (!ViewInfo()->HasText())
    return;
  const UINT flags = (FButton->GetWordWrap() ? DT_WORDBREAK : 0) | TcxButtonPainter::GetBiDiFlags(FButton);
  const TSize text = MeasureText(ViewInfo()->Caption(), ViewInfo()->GetFont(), TextBounds(R, AMargins), flags);
  FTextAreaSize = {text.cx + AMargins.left + AMargins.right, text.cy + AMargins.top + AMargins.bottom};
}

// Automatic values split the room left over: margin and spacing a third
// each, or the margin half of what the fixed spacing leaves.
void TcxButtonStandardLayoutCalculator::CalculateMarginAndSpacing(const TRect& R)
{
  const TSize glyph = GlyphSize();
  if (FTextAreaSize.cx == 0 || glyph.cx == 0)
    FSpacing = 0;
  const bool horizontal = IsHorizontalLayout();
  const int room = horizontal ? RectWidth(R) : RectHeight(R);
  const int glyphExtent = horizontal ? glyph.cx : glyph.cy;
  const int textExtent = horizontal ? FTextAreaSize.cx : FTextAreaSize.cy;
  if (FMargin == -1) {
    if (FSpacing == -1) {
      FMargin = (room - (glyphExtent + textExtent)) / 3;
      FSpacing = FMargin;
    } else {
      FMargin = (room - (glyphExtent + textExtent) - FSpacing) / 2;
    }
  } else if (FSpacing == -1) {
    FSpacing = (room - glyphExtent - FMargin - textExtent) / 2;
  }
}

void TcxButtonStandardLayoutCalculator::CalculateGlyphPos(const TRect& R)
{
  const TSize glyph = GlyphSize();
  TPoint& pos = GlyphPos();
  switch (Layout()) {
    case TButtonLayout::blGlyphLeft:
      pos.x = R.left + FMargin;
      break;
    case TButtonLayout::blGlyphRight:
      pos.x = R.left + RectWidth(R) - FMargin - glyph.cx;
      break;
    case TButtonLayout::blGlyphTop:
      pos.y = R.top + FMargin;
      break;
    case TButtonLayout::blGlyphBottom:
      pos.y = R.top + RectHeight(R) - FMargin - glyph.cy;
      break;
  }
  if (IsHorizontalLayout())
    pos.y = R.top + (RectHeight(R) - glyph.cy) / 2;
  else
    pos.x = R.left + (RectWidth(R) - glyph.cx) / 2;
}

TRect TcxButtonStandardLayoutCalculator::CalculateTextAreaRect(const TRect& R, const TRect& AMargins)
{
  const TSize glyph = GlyphSize();
  const TPoint pos = GlyphPos();
  TRect area{AMargins.left, AMargins.top, FTextAreaSize.cx - AMargins.right, FTextAreaSize.cy - AMargins.bottom};
  switch (Layout()) {
    case TButtonLayout::blGlyphLeft:
      OffsetRect(&area, pos.x + glyph.cx + FSpacing, 0);
      break;
    case TButtonLayout::blGlyphRight:
      OffsetRect(&area, pos.x - FSpacing - FTextAreaSize.cx, 0);
      break;
    case TButtonLayout::blGlyphTop:
      OffsetRect(&area, 0, pos.y + glyph.cy + FSpacing);
      break;
    case TButtonLayout::blGlyphBottom:
      OffsetRect(&area, 0, pos.y - FSpacing - FTextAreaSize.cy);
      break;
  }
  if (IsHorizontalLayout())
    OffsetRect(&area, 0, R.top + (RectHeight(R) - FTextAreaSize.cy - 1) / 2);
  else
    OffsetRect(&area, R.left + (RectWidth(R) - FTextAreaSize.cx) / 2, 0);
  return area;
}

void TcxButtonStandardLayoutCalculator::SetCaptionRect(const TRect& ATextArea)
{
  ViewInfo()->FCaptionRect = ATextArea;
}

// A plain drop-down button shows no arrow; a split button draws it on its
// drop-down part.
void TcxButtonStandardLayoutCalculator::CalculateDropDownArrowRect()
{
  ViewInfo()->FDropDownArrowRect = ViewInfo()->HasDropDownButton() ? ViewInfo()->GetDropDownButtonRect() : TRect{};
}

// Office drop-down: the arrow takes a column at the side (or sits beside
// the text of a top or bottom layout), and a description goes under the
// caption.
int TcxButtonOfficeDropDownLayoutCalculator::ArrowSize() const
{
  return Painter()->GetDropDownArrowSize();
}

void TcxButtonOfficeDropDownLayoutCalculator::Calculate(const TRect& AContentRect)
{
  TRect content = AContentRect;
  if (IsHorizontalLayout()) {
    const bool rightToLeft = UseRightToLeftAlignment();
    if (rightToLeft)
      content.left += ArrowSize() + 2;
    else
      content.right -= ArrowSize() + 2;
    if (FMargin < 0) {
      const bool glyphOnArrowSide = rightToLeft ? Layout() == TButtonLayout::blGlyphLeft
                                                : Layout() == TButtonLayout::blGlyphRight;
      FMargin = glyphOnArrowSide ? 0 : FButton->GetScaleFactor()->Apply(7);
    }
  }
  inherited::Calculate(content);
}

TRect TcxButtonOfficeDropDownLayoutCalculator::GetTextMargins()
{
  TRect margins = inherited::GetTextMargins();
  if (!IsHorizontalLayout()) {
    margins.left += ArrowSize() + 2;
    margins.right += ArrowSize() + 2;
  }
  return margins;
}

void TcxButtonOfficeDropDownLayoutCalculator::CalculateTextAreaSize(const TRect& R, const TRect& AMargins)
{
  FCaptionSize = {0, 0};
  FDescriptionSize = {0, 0};
  FTextAreaSize = {0, 0};
  if (!ViewInfo()->HasText())
    return;
  const TRect bounds = TextBounds(R, AMargins);
  const UINT bidi = TcxButtonPainter::GetBiDiFlags(FButton);
  FCaptionSize = MeasureText(ViewInfo()->Caption(), ViewInfo()->GetFont(), bounds,
                             (FButton->GetWordWrap() ? DT_WORDBREAK : 0) | bidi);
  if (IsHorizontalLayout())
    FCaptionSize.cx = std::min<int>(FCaptionSize.cx, RectWidth(bounds));
  if (!ViewInfo()->Description().empty())
    FDescriptionSize =
        MeasureText(ViewInfo()->Description(), ViewInfo()->GetDescriptionFont(), bounds, DT_WORDBREAK | bidi);
  FTextAreaSize = FCaptionSize;
  if (FDescriptionSize.cx > 0 && FDescriptionSize.cy > 0) {
    FTextAreaSize.cx = std::max(FCaptionSize.cx, FDescriptionSize.cx);
    FTextAreaSize.cy += FDescriptionSize.cy + 2;
  }
  FTextAreaSize.cx += AMargins.left + AMargins.right;
  FTextAreaSize.cy += AMargins.top + AMargins.bottom;
}

void TcxButtonOfficeDropDownLayoutCalculator::SetCaptionRect(const TRect& ATextArea)
{
  TRect caption{ATextArea.left, ATextArea.top, ATextArea.right, ATextArea.top + FCaptionSize.cy};
  TRect description{ATextArea.left, ATextArea.bottom - FDescriptionSize.cy, ATextArea.right, ATextArea.bottom};
  const auto takeWidth = [this](TRect& R, int AWidth) {
    switch (Layout()) {
      case TButtonLayout::blGlyphLeft:
        R.right = R.left + AWidth;
        break;
      case TButtonLayout::blGlyphRight:
        R.left = R.right - AWidth;
        break;
      default:
        R.left += (RectWidth(R) - AWidth) / 2;
        R.right = R.left + AWidth;
        break;
    }
  };
  takeWidth(caption, FCaptionSize.cx);
  takeWidth(description, FDescriptionSize.cx);
  ViewInfo()->FCaptionRect = caption;
  ViewInfo()->FDescriptionRect = FDescriptionSize.cx > 0 && FDescriptionSize.cy > 0 ? description : TRect{};
}

void TcxButtonOfficeDropDownLayoutCalculator::CalculateDropDownArrowRect()
{
  const TRect bounds = ViewInfo()->GetBounds();
  const int size = ArrowSize();
  TRect arrow;
  if (IsHorizontalLayout()) {
    arrow = {bounds.right - 2 - size, bounds.top, bounds.right - 2, bounds.bottom};
  } else {
    TRect text = ViewInfo()->GetCaptionRect();
    if (!IsRectEmptyOrInverted(ViewInfo()->GetDescriptionRect()))
      UnionRect(&text, &text, &ViewInfo()->GetDescriptionRect());
    const int top = text.top + (RectHeight(text) - size) / 2;
    arrow = {text.right, top, text.right + size, top + size};
  }
  ViewInfo()->FDropDownArrowRect = UseRightToLeftAlignment() ? MirroredRect(arrow, bounds) : arrow;
}

// Command link: the glyph at the top-left of the margins, the caption
// beside it and the description under the caption.
void TcxButtonCommandLinkLayoutCalculator::Calculate()
{
  Calculate(ViewInfo()->GetContentRect(TcxButtonState::cxbsDefault), OptionsImage()->GetMargin(),
            OptionsImage()->GetSpacing());
}

void TcxButtonCommandLinkLayoutCalculator::Calculate(const TRect& AContentRect, int AMargin, int ASpacing)
{
  TcxButtonViewInfo* viewInfo = ViewInfo();
  TRect inner = DeflatedRect(AContentRect, Painter()->GetCommandLinkMargins());
  if (AMargin >= 0) {
    inner.left = AContentRect.left + AMargin;
    inner.right = AContentRect.right - AMargin;
  }
  viewInfo->FGlyphPos = {inner.left, inner.top};
  const TSize image = viewInfo->ImageSize();
  TRect caption = inner;
  if (image.cx > 0)
    caption.left += image.cx + std::max(0, ASpacing);
  const UINT flags = DT_WORDBREAK | DT_END_ELLIPSIS | TcxButtonPainter::GetBiDiFlags(FButton);
  const TSize captionSize = MeasureText(viewInfo->Caption(), viewInfo->GetFont(), caption, flags);
  caption.right = caption.left + captionSize.cx;
  caption.bottom = caption.top + captionSize.cy;
  viewInfo->FCaptionRect = caption;
  TRect description{caption.left, inner.top, inner.right, inner.bottom};
  if (RectHeight(caption) > 0)
    description.top = caption.bottom + 2;
  viewInfo->FDescriptionRect = description;
  if (UseRightToLeftAlignment()) {
    viewInfo->FCaptionRect = MirroredRect(viewInfo->FCaptionRect, AContentRect);
    viewInfo->FDescriptionRect = MirroredRect(viewInfo->FDescriptionRect, AContentRect);
    viewInfo->FGlyphPos.x = AContentRect.left + AContentRect.right - viewInfo->FGlyphPos.x - image.cx;
  }
}

// ---------------------------------------------------------------------------
// TcxButtonPainter

TcxCustomLookAndFeelPainter* TcxButtonPainter::LookAndFeelPainter() const
{
  return FButton->GetLookAndFeelPainter();
}

TcxLookAndFeelStyle TcxButtonPainter::LookAndFeelStyle() const
{
  TcxLookAndFeel* lookAndFeel = FButton->GetLookAndFeel();
  if (lookAndFeel->GetSkinPainter())
    return TcxLookAndFeelStyle::lfsSkin;
  if (lookAndFeel->GetNativeStyle())
    return TcxLookAndFeelStyle::lfsNative;
  switch (lookAndFeel->GetKind()) {
    case TcxLookAndFeelKind::lfFlat:
      return TcxLookAndFeelStyle::lfsFlat;
    case TcxLookAndFeelKind::lfUltraFlat:
      return TcxLookAndFeelStyle::lfsUltraFlat;
    case TcxLookAndFeelKind::lfOffice11:
      return TcxLookAndFeelStyle::lfsOffice11;
    default:
      return TcxLookAndFeelStyle::lfsStandard;
  }
}

TcxButtonViewInfo* TcxButtonPainter::ViewInfo() const
{
  return FButton->GetViewInfo();
}

UINT TcxButtonPainter::GetBiDiFlags(TcxCustomButton* AButton)
{
  UINT flags = 0;
  if (AButton->UseRightToLeftAlignment())
    flags |= DT_RIGHT;
  if (AButton->UseRightToLeftReading())
    flags |= DT_RTLREADING;
  return flags;
}

void TcxButtonPainter::DrawButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, TColor AColor,
                                  TcxButtonPart APart)
{
  if (FButton->GetKind() == TcxButtonKind::cxbkCommandLink)
    DrawCommandLinkButton(ACanvas, R, AState, AColor);
  else if (FButton->GetSpeedButtonOptions()->NeedDrawParts())
    DrawSpeedButton(ACanvas, R, AState, AColor, APart);
  else
    LookAndFeelPainter()->DrawScaledButton(ACanvas, R, L"", AState, FButton->GetScaleFactor(), true, AColor,
                                           ACanvas->GetFont()->GetColor(), FButton->GetWordWrap(), false, APart);
}

// A flat speed button shows its border only while hot, pressed or down; a
// transparent one lets its parent show through while at rest.
void TcxButtonPainter::DrawSpeedButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, TColor AColor,
                                       TcxButtonPart APart)
{
  TcxCustomLookAndFeelPainter* painter = LookAndFeelPainter();
  TcxSpeedButtonOptions* options = FButton->GetSpeedButtonOptions();
  const bool hot = FButton->GetInternalStates().Contains(TcxButtonInternalState::bisHot);
  const TcxLookAndFeelStyle style = LookAndFeelStyle();
  TRect face = R;
  const bool drawsOwnBorder = style != TcxLookAndFeelStyle::lfsSkin && style != TcxLookAndFeelStyle::lfsNative &&
                              style != TcxLookAndFeelStyle::lfsOffice11;
  if (drawsOwnBorder && (!options->GetFlat() || FButton->IsDesigning() ||
                         (AState != TcxButtonState::cxbsDisabled && (hot || AState != TcxButtonState::cxbsNormal)))) {
    painter->DrawButtonBorder(ACanvas, R, AState);
    const int border = painter->ButtonBorderSize(AState);
    InflateRect(&face, -border, -border);
  }
  ACanvas->SaveClipRegion();
  rtl::Finally restore([ACanvas] { ACanvas->RestoreClipRegion(); });
  ACanvas->IntersectClipRect(face);
  const bool atRest = AState == TcxButtonState::cxbsDisabled || (AState == TcxButtonState::cxbsNormal && !hot);
  if (!options->GetTransparent() || !atRest || (hot && painter->IsButtonHotTrack()))
    painter->DrawScaledButton(ACanvas, face, L"", AState, FButton->GetScaleFactor(), false, AColor,
                              ACanvas->GetFont()->GetColor(), FButton->GetWordWrap(), true, APart);
  else
    cxDrawControlParentBackground(FButton, ACanvas, ViewInfo()->GetBounds());
}

void TcxButtonPainter::DrawCommandLinkButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                             TColor AColor)
{
  TcxCustomLookAndFeelPainter* painter = LookAndFeelPainter();
  painter->DrawScaledCommandLinkBackground(ACanvas, R, AState, FButton->GetScaleFactor(), AColor);
  if (!FButton->GetButtonGlyph()->IsImageAssigned())
    painter->DrawScaledCommandLinkGlyph(ACanvas, ViewInfo()->GetGlyphPos(), AState, FButton->GetScaleFactor());
}

void TcxButtonPainter::DrawDropDownArrow(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState)
{
  LookAndFeelPainter()->DrawScaledScrollBarArrow(ACanvas, R, AState, TcxArrowDirection::adDown,
                                                 FButton->GetScaleFactor());
}

void TcxButtonPainter::DrawFocusRect(TcxCanvas* ACanvas, const TRect& R)
{
  ACanvas->DrawFocusRect(LookAndFeelPainter()->ScaledButtonFocusRect(ACanvas, R, FButton->GetScaleFactor()));
}

// A themed button with see-through corners, or a skinned one, shows its
// parent around its face.
void TcxButtonPainter::DrawParentBackground(TcxCanvas* ACanvas, const TRect& R)
{
  const TcxLookAndFeelStyle style = LookAndFeelPainter()->LookAndFeelStyle();
  if (style == TcxLookAndFeelStyle::lfsNative) {
    const HTHEME theme = dxOpenTheme(TdxThemedObjectType::totButton);
    if (theme && dxUxIsThemeBackgroundPartiallyTransparent(theme, BP_PUSHBUTTON, PBS_NORMAL))
      cxDrawControlParentBackground(FButton, ACanvas, R);
  } else if (style == TcxLookAndFeelStyle::lfsSkin) {
    cxPaintParentBackground(FButton, ACanvas, R);
  }
}

int TcxButtonPainter::GetDropDownArrowSize()
{
  return LookAndFeelPainter()->GetScaledDropDownButtonRightPartSize(FButton->GetScaleFactor());
}

int TcxButtonPainter::GetDropDownButtonSize()
{
  return LookAndFeelPainter()->GetScaledDropDownButtonRightPartSize(FButton->GetScaleFactor());
}

void TcxButtonPainter::DrawText(TcxCanvas* ACanvas, const String& AText, const TRect& R, UINT ADrawTextFlags)
{
  if (ViewInfo()->IsDrawOnGlass()) {
    cxDrawGlowTextOnGlass(ACanvas->GetHandle(), AText, ACanvas->GetFont(), false, 0, ADrawTextFlags,
                          ACanvas->GetFont()->GetColor(), R);
    return;
  }
  TRect bounds = R;
  vcl::TBkModeGuard transparent(ACanvas->GetHandle(), TRANSPARENT);
  ::DrawTextW(ACanvas->GetHandle(), AText.c_str(), static_cast<int>(AText.size()), &bounds, ADrawTextFlags);
}

// A disabled caption is embossed in the classic looks; themes and skins
// have their own disabled colour.
void TcxButtonPainter::DrawText(TcxCanvas* ACanvas, const String& AText, const TRect& R, TcxButtonState AState,
                                UINT ADrawTextFlags)
{
  if (AText.empty() || !ACanvas->RectVisible(R))
    return;
  const vcl::TBrushStyle brushStyle = ACanvas->GetBrush()->GetStyle();
  ACanvas->GetBrush()->SetStyle(vcl::TBrushStyle::bsClear);
  rtl::Finally restore([&] { ACanvas->GetBrush()->SetStyle(brushStyle); });
  const UINT flags = ADrawTextFlags | GetBiDiFlags(FButton);
  const TcxLookAndFeelStyle style = LookAndFeelStyle();
  vcl::TFont* font = ACanvas->GetFont();
  if (AState == TcxButtonState::cxbsDisabled && style != TcxLookAndFeelStyle::lfsNative &&
      style != TcxLookAndFeelStyle::lfsSkin) {
    const TColor color = font->GetColor();
    font->SetColor(vcl::clBtnHighlight);
    TRect shifted = R;
    OffsetRect(&shifted, 1, 1);
    SetTextColor(ACanvas->GetHandle(), vcl::ColorToRGB(vcl::clBtnHighlight));
    DrawText(ACanvas, AText, shifted, flags);
    font->SetColor(color);
  }
  SetTextColor(ACanvas->GetHandle(), vcl::ColorToRGB(font->GetColor()));
  DrawText(ACanvas, AText, R, flags);
}

TColor TcxButtonPainter::GetTextColor(TcxButtonState AState, TColor ADefaultColor)
{
  const TColor color = FButton->GetColors()->GetTextColorByState(AState);
  if (color != vcl::clDefault)
    return color;
  if (FButton->GetKind() == TcxButtonKind::cxbkCommandLink)
    return LookAndFeelPainter()->DefaultCommandLinkTextColor(AState, ADefaultColor);
  return LookAndFeelPainter()->ButtonSymbolColor(AState, ADefaultColor);
}

TColor TcxButtonPainter::GetDescriptionTextColor(TcxButtonState AState, TColor ADefaultColor)
{
  return LookAndFeelPainter()->ButtonDescriptionTextColor(AState, ADefaultColor);
}

TPoint TcxButtonPainter::GetPressedTextShift()
{
  const int shift = LookAndFeelPainter()->ScaledButtonTextShift(FButton->GetScaleFactor());
  return {shift, shift};
}

TSize TcxButtonPainter::GetCommandLinkGlyphSize()
{
  return LookAndFeelPainter()->GetScaledCommandLinkGlyphSize(FButton->GetScaleFactor());
}

TRect TcxButtonPainter::GetCommandLinkMargins()
{
  return LookAndFeelPainter()->GetScaledCommandLinkMargins(FButton->GetScaleFactor());
}
