// The native painter: the platform's visual styles through the core's
// theme handles. Each operation asks for its handle at the call; a handle
// of 0 (visual styles off, or a class the theme lacks) or a failed theme
// query draws or answers as the standard painter does.
#include <windows.h>
#include <uxtheme.h>

#include <algorithm>
#include <optional>

#include "core/cxGeometry.h"
#include "core/dxCore.h"
#include "core/dxDPIAwareUtils.h"
#include "core/dxThemeManager.h"
#include "core/dxUxTheme.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/cxGraphicsControls.h"
#include "graphics/cxGraphicsDraw.h"
#include "graphics/dxGDIPlusClasses.h"
#include "graphics/dxOffice11.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "platform/vcl/GraphicsHandles.h"

using enum TcxAlignmentVert;
using enum TcxArrowDirection;
using enum TcxBorder;
using enum TcxButtonState;
using enum TcxCalendarElementState;
using enum TcxCheckBoxState;
using enum TcxGroupBoxCaptionPosition;
using enum TcxLookAndFeelStyle;
using enum TcxNeighbor;
using enum TcxRotationAngle;
using enum TcxScrollBarPart;
using enum TcxTrackBarTicksAlign;
using enum TdxBreadcrumbEditButtonState;
using enum TdxThemedObjectType;
using enum rtl::TAlignment;

using namespace vcl;

namespace {

// Theme properties read here.
constexpr int kNativeSizingMargins = 3601;
constexpr int kNativeContentMargins = 3602;
constexpr int kNativeBorderColor = 3801;
constexpr int kNativeTextColor = 3803;
constexpr int kNativeEdgeLightColor = 3804;
constexpr int kNativeEdgeHighlightColor = 3805;
constexpr int kNativeButtonFillColor = 204;

// The theme states of a TcxButtonState (default, normal, hot, pressed,
// disabled) for each kind of element; 0 draws nothing.
using TNativeStateMap = std::array<int, 5>;
constexpr TNativeStateMap kNativePushButtonStates{5, 1, 2, 3, 4};
constexpr TNativeStateMap kNativeHeaderItemStates{1, 1, 2, 3, 1};
constexpr TNativeStateMap kNativeTabItemStates{1, 1, 2, 3, 4};
constexpr TNativeStateMap kNativeRecordCaptionTabStates{1, 1, 2, 3, 5};
constexpr TNativeStateMap kNativeSmallCloseButtonStates{1, 1, 2, 3, 4};
constexpr TNativeStateMap kNativeComboDropDownStates{1, 1, 2, 3, 4};
// The toolbar's hot picture for a normal button and its checked one for a
// hot button: the navigator buttons stand out from the scheduler.
constexpr TNativeStateMap kNativeSchedulerNavigatorStates{2, 2, 5, 3, 4};
constexpr TNativeStateMap kNativeTrackBarThumbStates{2, 1, 2, 3, 5};
constexpr TNativeStateMap kNativeScrollBarStates{1, 1, 2, 3, 4};
constexpr TNativeStateMap kNativeBackButtonStates{1, 1, 2, 3, 4};
constexpr TNativeStateMap kNativeTokenStates{0, 0, 2, 3, 0};
// The explorer bar has no disabled picture: default and disabled look normal.
constexpr TNativeStateMap kNativeGroupExpandStates{1, 1, 2, 3, 1};
// The offset from the first state of a group (arrows, check boxes, radio
// buttons).
constexpr TNativeStateMap kNativeStateOffsets{0, 0, 1, 2, 3};

int NativeState(const TNativeStateMap& AMap, TcxButtonState AState)
{
  return AMap[static_cast<int>(AState)];
}

// Breadcrumb buttons and nodes by TdxBreadcrumbEditButtonState.
int NativeBreadcrumbButtonState(TdxBreadcrumbEditButtonState AState)
{
  static constexpr int kStates[] = {0, 1, 2, 3, 0};
  return kStates[static_cast<int>(AState)];
}

int NativeBreadcrumbBorderState(TdxBreadcrumbEditState AState)
{
  static constexpr int kStates[] = {1, 5, 2, 4};
  return kStates[static_cast<int>(AState)];
}

int NativeGroupBoxState(bool AEnabled)
{
  return AEnabled ? 1 : 2;
}

HTHEME NativeTheme(TdxThemedObjectType AKind)
{
  return dxOpenTheme(AKind);
}

std::optional<TSize> NativePartSize(HTHEME ATheme, int APartId, int AStateId, THEMESIZE AKind = TS_TRUE,
                                    HDC DC = nullptr, const RECT* R = nullptr)
{
  SIZE size{};
  if (FAILED(dxUxGetThemePartSizeP(ATheme, DC, APartId, AStateId, R, AKind, &size)))
    return std::nullopt;
  return TSize{size.cx, size.cy};
}

std::optional<TColor> NativeColor(HTHEME ATheme, int APartId, int AStateId, int APropId)
{
  COLORREF color = 0;
  if (FAILED(dxUxGetThemeColor(ATheme, APartId, AStateId, APropId, &color)))
    return std::nullopt;
  return static_cast<TColor>(color);
}

std::optional<TRect> NativeContentRect(HTHEME ATheme, int APartId, int AStateId, const TRect& R, HDC DC = nullptr)
{
  RECT content{};
  if (FAILED(dxUxGetThemeBackgroundContentRect(ATheme, DC, APartId, AStateId, R, &content)))
    return std::nullopt;
  return TRect{content.left, content.top, content.right, content.bottom};
}

// The margins as a rectangle of (left, top, right, bottom) widths.
std::optional<TRect> NativeMargins(HTHEME ATheme, int APartId, int AStateId, int APropId = kNativeContentMargins)
{
  MARGINS margins{};
  if (FAILED(dxUxGetThemeMargins(ATheme, nullptr, APartId, AStateId, APropId, nullptr, &margins)))
    return std::nullopt;
  return TRect{margins.cxLeftWidth, margins.cyTopHeight, margins.cxRightWidth, margins.cyBottomHeight};
}

void NativeDraw(HTHEME ATheme, TcxCanvas* ACanvas, int APartId, int AStateId, const TRect& R)
{
  dxUxDrawThemeBackground(ATheme, ACanvas->GetHandle(), APartId, AStateId, R);
}

// The canvas's clip region narrowed to R for a scope.
class TNativeClipTo {
 public:
  TNativeClipTo(TcxCanvas* ACanvas, const TRect& R) : FCanvas(ACanvas)
  {
    FCanvas->SaveClipRegion();
    FCanvas->IntersectClipRect(R);
  }
  TNativeClipTo(const TNativeClipTo&) = delete;
  TNativeClipTo& operator=(const TNativeClipTo&) = delete;
  ~TNativeClipTo() { FCanvas->RestoreClipRegion(); }

 private:
  TcxCanvas* FCanvas;
};

TcxCustomLookAndFeelPainter* NativeFlatPainter()
{
  return cxLookAndFeelPaintersManager()->GetPainter(lfsFlat);
}

int NativeThumbPart(TcxTrackBarTicksAlign ATicks, bool AHorizontal)
{
  switch (ATicks) {
    case tbtaUp:
      return AHorizontal ? 5 : 7;
    case tbtaDown:
      return AHorizontal ? 4 : 8;
    default:
      return AHorizontal ? 3 : 6;
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// Life and identity

void TcxWinXPLookAndFeelPainter::AfterConstruction()
{
  inherited::AfterConstruction();
  // A module without the glyphs (a program that links the painters but not
  // their resources) gets empty glyphs: the painter is created at start-up,
  // which a missing picture must not stop.
  const HINSTANCE module = GetModuleHandleW(nullptr);
  for (auto [field, name] : {std::pair{&FZoomInButtonGlyph, L"CX_ZOOMINBUTTONGLYPH"},
                             std::pair{&FZoomOutButtonGlyph, L"CX_ZOOMOUTBUTTONGLYPH"}}) {
    rtl::TOwnedPtr<TcxBitmap32> glyph(rtl::New<TcxBitmap32>());
    if (FindResourceW(module, name, RT_BITMAP))
      glyph->LoadFromResourceName(module, name);
    *field = glyph.release();
  }
}

void TcxWinXPLookAndFeelPainter::Destroy()
{
  rtl::FreeAndNil(FZoomOutButtonGlyph);
  rtl::FreeAndNil(FZoomInButtonGlyph);
  inherited::Destroy();
}

void TcxWinXPLookAndFeelPainter::DrawScaledThemeBackground(HTHEME ATheme, HDC DC, int APartId, int AStateId,
                                                           const TRect& R, const TdxScaleFactor* AScaleFactor,
                                                           bool AForceScale, bool AUseThemePartSize)
{
  if (!AForceScale && AScaleFactor->Equals(dxGetSystemScaleFactor())) {
    dxUxDrawThemeBackground(ATheme, DC, APartId, AStateId, R);
    return;
  }
  TSize size = dxGetSystemScaleFactor()->Apply(cxRectGetSize(R), AScaleFactor);
  if (AUseThemePartSize)
    size = NativePartSize(ATheme, APartId, AStateId).value_or(TSize{0, 0});
  if (size.cx <= 0 || size.cy <= 0)
    return;
  const rtl::TOwnedPtr<TcxBitmap32> bitmap(
      rtl::NewWith<TcxBitmap32>([&](TcxBitmap32* B) { B->CreateSize(size.cx, size.cy, true); }));
  dxUxDrawThemeBackground(ATheme, bitmap->GetCanvas()->GetHandle(), APartId, AStateId, bitmap->GetClientRect());
  // Black is what the theme left untouched; what it drew keeps its alpha.
  bitmap->RecoverTransparency(clBlack);
  cxAlphaBlend(DC, bitmap.get(), R, bitmap->GetClientRect(), true, 255);
}

rtl::String TcxWinXPLookAndFeelPainter::LookAndFeelName()
{
  return L"Native";
}

TcxLookAndFeelStyle TcxWinXPLookAndFeelPainter::LookAndFeelStyle()
{
  return lfsNative;
}

bool TcxWinXPLookAndFeelPainter::NeedRedrawOnResize()
{
  return dxThemesAvailable();
}

// ---------------------------------------------------------------------------
// Metrics

int TcxWinXPLookAndFeelPainter::SeparatorSize()
{
  return 6;
}

int TcxWinXPLookAndFeelPainter::BorderSize()
{
  return NativeTheme(totListView) ? 1 : inherited::BorderSize();
}

int TcxWinXPLookAndFeelPainter::ButtonBorderSize(TcxButtonState AState)
{
  if (HTHEME theme = NativeTheme(totButton))
    if (auto content = NativeContentRect(theme, 1, NativeState(kNativePushButtonStates, AState), {0, 0, 100, 100}))
      return content->left;
  return inherited::ButtonBorderSize(cxbsNormal);
}

int TcxWinXPLookAndFeelPainter::ScaledButtonTextOffset(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(2);
}

int TcxWinXPLookAndFeelPainter::ScaledButtonTextShift(const TdxScaleFactor*)
{
  return 0;
}

bool TcxWinXPLookAndFeelPainter::IsButtonHotTrack()
{
  return true;
}

bool TcxWinXPLookAndFeelPainter::IsHeaderHotTrack()
{
  return true;
}

bool TcxWinXPLookAndFeelPainter::DrawExpandButtonFirst()
{
  return false;
}

bool TcxWinXPLookAndFeelPainter::FooterDrawCellsFirst()
{
  return false;
}

int TcxWinXPLookAndFeelPainter::CheckBorderSize()
{
  return NativeTheme(totButton) ? 0 : inherited::CheckBorderSize();
}

int TcxWinXPLookAndFeelPainter::HeaderBorderSize()
{
  if (HTHEME theme = NativeTheme(totHeader))
    if (auto content = NativeContentRect(theme, 1, 1, {0, 0, 100, 100}))
      return std::max<int>((content->left + content->top) / 2, 1);
  return inherited::HeaderBorderSize();
}

int TcxWinXPLookAndFeelPainter::HeaderControlSectionBorderSize(TcxButtonState)
{
  return HeaderBorderSize();
}

TRect TcxWinXPLookAndFeelPainter::HeaderControlSectionContentBounds(const TRect& ABounds, TcxButtonState AState)
{
  if (!NativeTheme(totHeader))
    return inherited::HeaderControlSectionContentBounds(ABounds, AState);
  return cxRectInflateAll(ABounds, -HeaderBorderSize());
}

TPoint TcxWinXPLookAndFeelPainter::ScaledSortingMarkSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TPoint{7, 8});
}

int TcxWinXPLookAndFeelPainter::FooterBorderSize()
{
  return NativeTheme(totEdit) ? 1 : inherited::FooterBorderSize();
}

int TcxWinXPLookAndFeelPainter::FooterCellBorderSize()
{
  if (HTHEME theme = NativeTheme(totTrackBar))
    if (auto content = NativeContentRect(theme, 1, 1, {0, 0, 100, 100}))
      return content->left;
  return inherited::FooterCellBorderSize();
}

int TcxWinXPLookAndFeelPainter::FooterCellOffset()
{
  return NativeTheme(totTrackBar) ? 1 : inherited::FooterCellOffset();
}

int TcxWinXPLookAndFeelPainter::TabBorderSize(bool AVertical)
{
  return NativeTheme(totTab) ? 1 : inherited::TabBorderSize(AVertical);
}

bool TcxWinXPLookAndFeelPainter::IsDrawTabImplemented(bool AVertical)
{
  return NativeTheme(totTab) ? true : inherited::IsDrawTabImplemented(AVertical);
}

bool TcxWinXPLookAndFeelPainter::IsTabHotTrack(bool AVertical)
{
  return NativeTheme(totTab) ? true : inherited::IsTabHotTrack(AVertical);
}

int TcxWinXPLookAndFeelPainter::GetEditPopupWindowBorderWidth(TcxEditPopupBorderStyle)
{
  return 1;
}

int TcxWinXPLookAndFeelPainter::GetEditPopupWindowClientEdgeWidth(TcxEditPopupBorderStyle)
{
  return 2;
}

TRect TcxWinXPLookAndFeelPainter::SchedulerEventProgressOffsets()
{
  return TRect{3, 3, 3, 3};
}

TPoint TcxWinXPLookAndFeelPainter::NavigatorButtonPressedGlyphOffset()
{
  return TPoint{0, 0};
}

TSize TcxWinXPLookAndFeelPainter::NavigatorScaledButtonMinSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TSize{18, 19});
}

int TcxWinXPLookAndFeelPainter::AlertWindowCornerRadius()
{
  return 5;
}

TSize TcxWinXPLookAndFeelPainter::GetBevelMinimalShapeSize(TdxBevelShape)
{
  return TSize{6, 6};
}

TRect TcxWinXPLookAndFeelPainter::BreadcrumbEditBordersSize()
{
  return TRect{1, 1, 1, 1};
}

TRect TcxWinXPLookAndFeelPainter::BreadcrumbEditScaledProgressChunkPadding(const TdxScaleFactor*)
{
  return TRect{0, 0, 0, 0};
}

bool TcxWinXPLookAndFeelPainter::BreadcrumbEditIsFadingSupports()
{
  return true;
}

TColor TcxWinXPLookAndFeelPainter::BreadcrumbEditBackgroundColor(TdxBreadcrumbEditState)
{
  return DefaultContentColor();
}

bool TcxWinXPLookAndFeelPainter::DrawGalleryItemSelectionFirst()
{
  return NativeTheme(totExplorerListView) ? true : inherited::DrawGalleryItemSelectionFirst();
}

TSize TcxWinXPLookAndFeelPainter::ScaledClockSize(const TdxScaleFactor* AScaleFactor)
{
  TdxSmartImage* face = ClockFaceGlyph();
  return AScaleFactor->Apply(TSize{face->GetWidth(), face->GetHeight()});
}

// ---------------------------------------------------------------------------
// Sizes read from the theme

int TcxWinXPLookAndFeelPainter::ScaledExpandButtonSize(const TdxScaleFactor* AScaleFactor)
{
  if (HTHEME theme = NativeTheme(totTreeView))
    if (auto size = NativePartSize(theme, 2, 2))
      return AScaleFactor->Apply(size->cx, dxGetSystemScaleFactor());
  return inherited::ScaledExpandButtonSize(AScaleFactor);
}

int TcxWinXPLookAndFeelPainter::ScaledSmallExpandButtonSize(const TdxScaleFactor* AScaleFactor)
{
  return NativeTheme(totTreeView) ? ScaledExpandButtonSize(AScaleFactor)
                                  : inherited::ScaledSmallExpandButtonSize(AScaleFactor);
}

int TcxWinXPLookAndFeelPainter::ScaledGroupExpandButtonSize(const TdxScaleFactor* AScaleFactor)
{
  if (HTHEME theme = NativeTheme(totExplorerBar))
    if (auto size = NativePartSize(theme, 7, 1))
      return AScaleFactor->Apply(size->cx);
  return inherited::ScaledGroupExpandButtonSize(AScaleFactor);
}

TSize TcxWinXPLookAndFeelPainter::ScaledCheckButtonSize(const TdxScaleFactor* AScaleFactor)
{
  if (HTHEME theme = NativeTheme(totButton))
    if (auto size = NativePartSize(theme, 3, 5))
      return AScaleFactor->Apply(*size, dxGetSystemScaleFactor());
  return inherited::ScaledCheckButtonSize(AScaleFactor);
}

TSize TcxWinXPLookAndFeelPainter::ScaledRadioButtonSize(const TdxScaleFactor* AScaleFactor)
{
  if (HTHEME theme = NativeTheme(totButton))
    if (auto size = NativePartSize(theme, 2, 1))
      return AScaleFactor->Apply(*size, dxGetSystemScaleFactor());
  return inherited::ScaledRadioButtonSize(AScaleFactor);
}

TPoint TcxWinXPLookAndFeelPainter::ScaledFilterActivateButtonSize(const TdxScaleFactor* AScaleFactor)
{
  if (HTHEME theme = NativeTheme(totButton))
    if (auto size = NativePartSize(theme, 3, 5))
      return AScaleFactor->Apply(TPoint{size->cx, size->cy});
  return inherited::ScaledFilterActivateButtonSize(AScaleFactor);
}

TPoint TcxWinXPLookAndFeelPainter::ScaledFilterCloseButtonSize(const TdxScaleFactor* AScaleFactor)
{
  if (!NativeTheme(totWindow))
    return inherited::ScaledFilterCloseButtonSize(AScaleFactor);
  const TSize size = ScaledSmallCloseButtonSize(AScaleFactor);
  const int margin = AScaleFactor->Apply(4);
  return TPoint{size.cx + margin, size.cy + margin};
}

TSize TcxWinXPLookAndFeelPainter::DoGetSmallCloseButtonSize()
{
  if (HTHEME theme = NativeTheme(totWindow))
    if (auto size = NativePartSize(theme, 19, 1)) {
      // Later themes answer a glyph too small to hit.
      if (dxOSIsWindows8OrLater && (size->cx < 10 || size->cy < 10))
        return TSize{13, 13};
      return *size;
    }
  return inherited::DoGetSmallCloseButtonSize();
}

TSize TcxWinXPLookAndFeelPainter::ScaledSizeGripSize(const TdxScaleFactor* AScaleFactor)
{
  if (HTHEME theme = NativeTheme(totScrollBar))
    if (auto size = NativePartSize(theme, 10, 1))
      return dxOSIsWindows8OrLater ? AScaleFactor->Apply(*size, dxGetSystemScaleFactor()) : AScaleFactor->Apply(*size);
  return inherited::ScaledSizeGripSize(AScaleFactor);
}

int TcxWinXPLookAndFeelPainter::ScaledScrollBarMinimalThumbSize(bool AVertical, const TdxScaleFactor* AScaleFactor)
{
  if (HTHEME theme = NativeTheme(totScrollBar)) {
    const int part = AVertical ? 3 : 2;
    if (auto size = NativePartSize(theme, part, 1, TS_MIN)) {
      int result = AVertical ? size->cy : size->cx;
      if (dxOSIsWindowsVistaOrLater)
        if (auto margins = NativeMargins(theme, part, 1))
          result += AVertical ? margins->top + margins->bottom : margins->left + margins->right;
      return AScaleFactor->Apply(result);
    }
  }
  return inherited::ScaledScrollBarMinimalThumbSize(AVertical, AScaleFactor);
}

TSize TcxWinXPLookAndFeelPainter::GetScaledCommandLinkGlyphSize(const TdxScaleFactor* AScaleFactor)
{
  if (HTHEME theme = dxOSIsWindowsVistaOrLater ? NativeTheme(totButton) : nullptr)
    if (auto size = NativePartSize(theme, 7, 0))
      return *size;
  return inherited::GetScaledCommandLinkGlyphSize(AScaleFactor);
}

TRect TcxWinXPLookAndFeelPainter::GetScaledCommandLinkMargins(const TdxScaleFactor* AScaleFactor)
{
  if (HTHEME theme = dxOSIsWindowsVistaOrLater ? NativeTheme(totButton) : nullptr)
    if (auto margins = NativeMargins(theme, 6, 0))
      return AScaleFactor->Apply(*margins);
  return inherited::GetScaledCommandLinkMargins(AScaleFactor);
}

TSize TcxWinXPLookAndFeelPainter::ZoomButtonSize(TcxBitmap32* AGlyph, const TdxScaleFactor* AScaleFactor)
{
  const TRect margins = NativeMargins(NativeTheme(totButton), 1, 0).value_or(TRect{});
  return AScaleFactor->Apply(TSize{AGlyph->GetWidth() + margins.left + margins.right,
                                   AGlyph->GetHeight() + margins.top + margins.bottom});
}

TSize TcxWinXPLookAndFeelPainter::GetScaledZoomInButtonSize(const TdxScaleFactor* AScaleFactor)
{
  return NativeTheme(totButton) ? ZoomButtonSize(FZoomInButtonGlyph, AScaleFactor)
                                : inherited::GetScaledZoomInButtonSize(AScaleFactor);
}

TSize TcxWinXPLookAndFeelPainter::GetScaledZoomOutButtonSize(const TdxScaleFactor* AScaleFactor)
{
  return NativeTheme(totButton) ? ZoomButtonSize(FZoomOutButtonGlyph, AScaleFactor)
                                : inherited::GetScaledZoomOutButtonSize(AScaleFactor);
}

TSize TcxWinXPLookAndFeelPainter::GetScaledBackButtonSize(const TdxScaleFactor* AScaleFactor)
{
  if (HTHEME theme = NativeTheme(totNavigation))
    if (auto size = NativePartSize(theme, 1, 0))
      return AScaleFactor->Apply(*size, dxGetSystemScaleFactor());
  return inherited::GetScaledBackButtonSize(AScaleFactor);
}

TSize TcxWinXPLookAndFeelPainter::BreadcrumbEditScaledProgressChunkOverlaySize(const TdxScaleFactor* AScaleFactor)
{
  if (HTHEME theme = dxOSIsWindowsVistaOrLater ? NativeTheme(totProgress) : nullptr)
    if (auto size = NativePartSize(theme, 8, 0))
      return AScaleFactor->Apply(*size, dxGetSystemScaleFactor());
  return inherited::BreadcrumbEditScaledProgressChunkOverlaySize(AScaleFactor);
}

TRect TcxWinXPLookAndFeelPainter::BreadcrumbEditScaledButtonContentOffsets(bool AIsFirst, bool AIsLast,
                                                                         const TdxScaleFactor* AScaleFactor)
{
  if (HTHEME theme = NativeTheme(totButton))
    if (auto margins = NativeMargins(theme, 1, 0))
      return AScaleFactor->Apply(*margins, dxGetSystemScaleFactor());
  return inherited::BreadcrumbEditScaledButtonContentOffsets(AIsFirst, AIsLast, AScaleFactor);
}

int TcxWinXPLookAndFeelPainter::DropDownListBoxScaledSeparatorSize(const TdxScaleFactor* AScaleFactor)
{
  if (HTHEME theme = NativeTheme(totMenu))
    if (auto size = NativePartSize(theme, 15, 0))
      return size->cy;
  return inherited::DropDownListBoxScaledSeparatorSize(AScaleFactor);
}

// ---------------------------------------------------------------------------
// Colours

TColor TcxWinXPLookAndFeelPainter::DefaultSchedulerBorderColor()
{
  if (HTHEME theme = NativeTheme(totComboBox))
    if (auto color = NativeColor(theme, 1, 1, kNativeBorderColor))
      return *color;
  return inherited::DefaultSchedulerBorderColor();
}

TColor TcxWinXPLookAndFeelPainter::DefaultSchedulerViewContentColor()
{
  return static_cast<TColor>(0xFFFFFF);
}

TColor TcxWinXPLookAndFeelPainter::DefaultSchedulerViewContentColorClassic()
{
  return static_cast<TColor>(0xD5FFFF);
}

TColor TcxWinXPLookAndFeelPainter::ButtonColor(TcxButtonState AState)
{
  if (HTHEME theme = NativeTheme(totButton))
    if (auto color = NativeColor(theme, 1, NativeState(kNativePushButtonStates, AState), kNativeButtonFillColor))
      return *color;
  return inherited::ButtonColor(AState);
}

TColor TcxWinXPLookAndFeelPainter::ButtonSymbolColor(TcxButtonState AState, TColor ADefaultColor)
{
  if (HTHEME theme = NativeTheme(totButton))
    if (auto color = NativeColor(theme, 1, NativeState(kNativePushButtonStates, AState), kNativeTextColor))
      return *color;
  return inherited::ButtonSymbolColor(AState, ADefaultColor);
}

TColor TcxWinXPLookAndFeelPainter::DefaultCommandLinkTextColor(TcxButtonState AState, TColor ADefaultColor)
{
  if (HTHEME theme = dxOSIsWindowsVistaOrLater ? NativeTheme(totButton) : nullptr)
    return NativeColor(theme, 6, NativeState(kNativePushButtonStates, AState), kNativeTextColor)
        .value_or(static_cast<TColor>(0));
  return inherited::DefaultCommandLinkTextColor(AState, ADefaultColor);
}

TColor TcxWinXPLookAndFeelPainter::DefaultLayoutViewContentTextColor(TcxButtonState AState)
{
  return NativeTheme(totTab) ? clMenuText : inherited::DefaultLayoutViewContentTextColor(AState);
}

TColor TcxWinXPLookAndFeelPainter::DefaultLayoutViewCaptionTextColor(TcxGroupBoxCaptionPosition ACaptionPosition,
                                                                     TcxButtonState AState)
{
  return NativeTheme(totTab) ? DefaultTabTextColor()
                             : inherited::DefaultLayoutViewCaptionTextColor(ACaptionPosition, AState);
}

TColor TcxWinXPLookAndFeelPainter::WinExplorerViewRecordTextColor(TcxButtonState AState)
{
  return NativeTheme(totTab) ? DefaultTabTextColor() : inherited::WinExplorerViewRecordTextColor(AState);
}

TColor TcxWinXPLookAndFeelPainter::GroupBoxTextColor(bool AEnabled, TcxGroupBoxCaptionPosition ACaptionPosition)
{
  if (HTHEME theme = NativeTheme(totButton))
    if (auto color = NativeColor(theme, 4, NativeGroupBoxState(AEnabled), kNativeTextColor))
      return *color;
  return inherited::GroupBoxTextColor(AEnabled, ACaptionPosition);
}

TColor TcxWinXPLookAndFeelPainter::GetHintBorderColor()
{
  return NativeTheme(totToolTip) ? clWindowFrame : inherited::GetHintBorderColor();
}

TColor TcxWinXPLookAndFeelPainter::ScreenTipGetDescriptionTextColor()
{
  if (HTHEME theme = NativeTheme(totToolTip))
    if (auto color = NativeColor(theme, 1, 1, kNativeTextColor))
      return *color;
  return inherited::ScreenTipGetDescriptionTextColor();
}

TColor TcxWinXPLookAndFeelPainter::ScreenTipGetTitleTextColor()
{
  return NativeTheme(totToolTip) ? ScreenTipGetDescriptionTextColor() : inherited::ScreenTipGetTitleTextColor();
}

TColor TcxWinXPLookAndFeelPainter::DropDownListBoxItemTextColor(bool ASelected)
{
  // A menu theme without a text colour for the item reads as no theme.
  if (HTHEME theme = NativeTheme(totMenu))
    if (auto color = NativeColor(theme, 14, 1, kNativeTextColor))
      return *color;
  return inherited::DropDownListBoxItemTextColor(ASelected);
}

TColor TcxWinXPLookAndFeelPainter::GetModernCalendarHeaderTextColor()
{
  if (HTHEME theme = NativeTheme(totTextStyle))
    if (auto color = NativeColor(theme, 6, 1, kNativeTextColor))
      return *color;
  return inherited::GetModernCalendarHeaderTextColor();
}

TColor TcxWinXPLookAndFeelPainter::ToggleSwitchToggleColor(bool AChecked)
{
  return static_cast<TColor>(AChecked ? 0xA0A0A0 : 0xC8C8C8);
}

// ---------------------------------------------------------------------------
// Buttons and small glyphs

void TcxWinXPLookAndFeelPainter::DrawScaledArrow(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                 TcxArrowDirection AArrowDirection, const TdxScaleFactor* AScaleFactor,
                                                 bool ADrawBorder)
{
  HTHEME theme = NativeTheme(totScrollBar);
  if (!theme)
    return inherited::DrawScaledArrow(ACanvas, R, AState, AArrowDirection, AScaleFactor, ADrawBorder);
  static constexpr int kFirstState[] = {1, 5, 9, 13};
  NativeDraw(theme, ACanvas, 1,
             kFirstState[static_cast<int>(AArrowDirection)] + NativeState(kNativeStateOffsets, AState), R);
}

void TcxWinXPLookAndFeelPainter::DrawScaledArrowBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                       const TdxScaleFactor* AScaleFactor)
{
  if (HTHEME theme = NativeTheme(totButton))
    NativeDraw(theme, ACanvas, 1, NativeState(kNativePushButtonStates, AState), R);
  else
    inherited::DrawScaledArrowBorder(ACanvas, R, AState, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawBorder(TcxCanvas* ACanvas, const TRect& R)
{
  HTHEME theme = NativeTheme(totListView);
  if (!theme)
    return inherited::DrawBorder(ACanvas, R);
  // Only the outer one-pixel ring of the list view's frame.
  ACanvas->SaveDC();
  ACanvas->ExcludeClipRect(cxRectInflateAll(R, -1));
  NativeDraw(theme, ACanvas, 5, 0, R);
  ACanvas->RestoreDC();
}

void TcxWinXPLookAndFeelPainter::DoDrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool AIsVertical)
{
  if (HTHEME theme = NativeTheme(totToolBar))
    NativeDraw(theme, ACanvas, AIsVertical ? 5 : 6, 1, R);
  else
    inherited::DoDrawSeparator(ACanvas, R, AIsVertical);
}

TRect TcxWinXPLookAndFeelPainter::ScaledButtonFocusRect(TcxCanvas* ACanvas, const TRect& R,
                                                        const TdxScaleFactor* AScaleFactor)
{
  if (HTHEME theme = NativeTheme(totButton))
    if (auto content = NativeContentRect(theme, 1, 1, R, ACanvas->GetHandle()))
      return *content;
  return inherited::ScaledButtonFocusRect(ACanvas, R, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawScaledButton(TcxCanvas* ACanvas, const TRect& R, const rtl::String& ACaption,
                                                  TcxButtonState AState, const TdxScaleFactor* AScaleFactor,
                                                  bool ADrawBorder, TColor AColor, TColor ATextColor, bool AWordWrap,
                                                  bool AIsToolButton, TcxButtonPart APart)
{
  HTHEME theme = NativeTheme(AIsToolButton ? totToolBar : totButton);
  if (!theme)
    return inherited::DrawScaledButton(ACanvas, R, ACaption, AState, AScaleFactor, ADrawBorder, AColor, ATextColor,
                                       AWordWrap, AIsToolButton, APart);
  const int state = NativeState(kNativePushButtonStates, AState);
  NativeDraw(theme, ACanvas, 1, state, R);
  if (!ACaption.empty())
    dxUxDrawThemeTextStr(theme, ACanvas->GetHandle(), 1, state, ACaption, -1, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                         0, R);
}

void TcxWinXPLookAndFeelPainter::DrawScaledSmallButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                       const TdxScaleFactor* AScaleFactor)
{
  DrawScaledButton(ACanvas, R, rtl::String(), AState, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawScaledCommandLinkBackground(TcxCanvas* ACanvas, const TRect& R,
                                                                 TcxButtonState AState,
                                                                 const TdxScaleFactor* AScaleFactor, TColor AColor)
{
  if (HTHEME theme = dxOSIsWindowsVistaOrLater ? NativeTheme(totButton) : nullptr) {
    NativeDraw(theme, ACanvas, 6, NativeState(kNativePushButtonStates, AState), R);
    return;
  }
  TcxCustomLookAndFeelPainter* flat = NativeFlatPainter();
  if (!flat)
    return inherited::DrawScaledCommandLinkBackground(ACanvas, R, AState, AScaleFactor, AColor);
  flat->DrawScaledButton(ACanvas, R, rtl::String(), AState, AScaleFactor, AState == cxbsHot || AState == cxbsPressed,
                         AColor);
}

void TcxWinXPLookAndFeelPainter::DrawScaledCommandLinkGlyph(TcxCanvas* ACanvas, const TPoint& AGlyphPos,
                                                            TcxButtonState AState, const TdxScaleFactor* AScaleFactor)
{
  HTHEME theme = dxOSIsWindowsVistaOrLater ? NativeTheme(totButton) : nullptr;
  if (!theme)
    return inherited::DrawScaledCommandLinkGlyph(ACanvas, AGlyphPos, AState, AScaleFactor);
  const TSize size = GetScaledCommandLinkGlyphSize(AScaleFactor);
  const TRect R = cxRectBounds(AGlyphPos.x, AGlyphPos.y, size.cx, size.cy);
  cxPaintMirroredIfRTL(ACanvas, R,
                       [&] { NativeDraw(theme, ACanvas, 7, NativeState(kNativePushButtonStates, AState), R); });
}

void TcxWinXPLookAndFeelPainter::DrawScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                                        const TdxScaleFactor* AScaleFactor, TColor AColor,
                                                        TcxExpandButtonState AState)
{
  HTHEME theme = NativeTheme(totTreeView);
  if (!theme)
    return inherited::DrawScaledExpandButton(ACanvas, R, AExpanded, AScaleFactor, AColor, AState);
  DrawScaledThemeBackground(theme, ACanvas->GetHandle(), 2, AExpanded ? 2 : 1, R, AScaleFactor);
  ACanvas->ExcludeClipRect(R);
}

void TcxWinXPLookAndFeelPainter::DrawScaledSmallExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                                             TColor ABorderColor, const TdxScaleFactor* AScaleFactor,
                                                             TColor AColor)
{
  if (NativeTheme(totTreeView))
    DrawScaledExpandButton(ACanvas, R, AExpanded, AScaleFactor, clDefault, TcxExpandButtonState::cebsNormal);
  else
    inherited::DrawScaledSmallExpandButton(ACanvas, R, AExpanded, ABorderColor, AScaleFactor, AColor);
}

void TcxWinXPLookAndFeelPainter::DrawScaledGroupExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                                             TcxButtonState AState, const TdxScaleFactor* AScaleFactor)
{
  if (HTHEME theme = NativeTheme(totExplorerBar))
    NativeDraw(theme, ACanvas, AExpanded ? 6 : 7, NativeState(kNativeGroupExpandStates, AState), R);
  else
    inherited::DrawScaledGroupExpandButton(ACanvas, R, AExpanded, AState, AScaleFactor);
}

bool TcxWinXPLookAndFeelPainter::IsPointOverGroupExpandButton(const TRect& R, const TPoint& P)
{
  HTHEME theme = NativeTheme(totExplorerBar);
  if (!theme)
    return inherited::IsPointOverGroupExpandButton(R, P);
  HRGN handle = nullptr;
  if (FAILED(dxUxGetThemeBackgroundRegion(theme, nullptr, 7, 2, R, &handle)))
    return false;
  const vcl::TOwnedRegion region(handle);
  return region && PtInRegion(region.Get(), P.x, P.y) != FALSE;
}

void TcxWinXPLookAndFeelPainter::DrawScaledCheck(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                 TcxCheckBoxState ACheckState, TColor AColor,
                                                 const TdxScaleFactor* AScaleFactor)
{
  HTHEME theme = NativeTheme(totButton);
  if (!theme)
    return inherited::DrawScaledCheck(ACanvas, R, AState, ACheckState, AColor, AScaleFactor);
  static constexpr int kFirstState[] = {1, 5, 9};
  DrawScaledThemeBackground(theme, ACanvas->GetHandle(), 3,
                            kFirstState[static_cast<int>(ACheckState)] + NativeState(kNativeStateOffsets, AState), R,
                            AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawCheckBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState)
{
  // The themed check box carries its own frame.
  if (!NativeTheme(totButton))
    inherited::DrawCheckBorder(ACanvas, R, AState);
}

void TcxWinXPLookAndFeelPainter::DrawScaledRadioButton(TcxCanvas* ACanvas, int X, int Y, TcxButtonState AButtonState,
                                                       bool AChecked, bool AFocused, TColor ABrushColor,
                                                       const TdxScaleFactor* AScaleFactor, bool AIsDesigning)
{
  HTHEME theme = NativeTheme(totButton);
  if (!theme)
    return inherited::DrawScaledRadioButton(ACanvas, X, Y, AButtonState, AChecked, AFocused, ABrushColor,
                                            AScaleFactor, AIsDesigning);
  const TSize size = ScaledRadioButtonSize(AScaleFactor);
  DrawScaledThemeBackground(theme, ACanvas->GetHandle(), 2,
                            (AChecked ? 5 : 1) + NativeState(kNativeStateOffsets, AButtonState),
                            cxRectBounds(X, Y, size.cx, size.cy), AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawZoomButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                const TdxScaleFactor* AScaleFactor, TcxBitmap32* AGlyph, bool AZoomIn)
{
  HTHEME theme = NativeTheme(totButton);
  if (!theme) {
    if (AZoomIn)
      inherited::DrawScaledZoomInButton(ACanvas, R, AState, AScaleFactor);
    else
      inherited::DrawScaledZoomOutButton(ACanvas, R, AState, AScaleFactor);
    return;
  }
  NativeDraw(theme, ACanvas, 1, NativeState(kNativePushButtonStates, AState), R);
  cxDrawImage(ACanvas, R, AGlyph, false, AScaleFactor, nullptr, false, TcxImageDrawMode::idmNormal,
              TcxImageFitMode::ifmNormal);
}

void TcxWinXPLookAndFeelPainter::DrawScaledZoomInButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                        const TdxScaleFactor* AScaleFactor)
{
  DrawZoomButton(ACanvas, R, AState, AScaleFactor, FZoomInButtonGlyph, true);
}

void TcxWinXPLookAndFeelPainter::DrawScaledZoomOutButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                         const TdxScaleFactor* AScaleFactor)
{
  DrawZoomButton(ACanvas, R, AState, AScaleFactor, FZoomOutButtonGlyph, false);
}

void TcxWinXPLookAndFeelPainter::DrawScaledBackButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                      const TdxScaleFactor* AScaleFactor)
{
  if (HTHEME theme = NativeTheme(totNavigation))
    DrawScaledThemeBackground(theme, ACanvas->GetHandle(), 1, NativeState(kNativeBackButtonStates, AState), R,
                              AScaleFactor);
  else
    inherited::DrawScaledBackButton(ACanvas, R, AState, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawClippedButtonPart(TcxCanvas* ACanvas, HTHEME ATheme, int AStateId,
                                                       const TRect& R, const TRect& AOffsets)
{
  const TNativeClipTo clip(ACanvas, R);
  NativeDraw(ATheme, ACanvas, 1, AStateId, cxRectInflateByMargins(R, AOffsets));
}

void TcxWinXPLookAndFeelPainter::DrawScaledTokenBackground(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                           const TdxScaleFactor* AScaleFactor)
{
  HTHEME theme = NativeTheme(totButton);
  if (!theme)
    return inherited::DrawScaledTokenBackground(ACanvas, R, AState, AScaleFactor);
  const int state = NativeState(kNativeTokenStates, AState);
  if (cxRectHasNoArea(R) || state == 0)
    return;
  DrawClippedButtonPart(ACanvas, theme, state, R, NativeMargins(theme, 1, 0).value_or(TRect{}));
}

// ---------------------------------------------------------------------------
// Headers, footers and the filter

void TcxWinXPLookAndFeelPainter::DrawThemedText(TcxCanvas* ACanvas, HTHEME ATheme, int APartId, int AStateId,
                                                const TRect&, const TRect& ARect, rtl::TAlignment AAlignmentHorz,
                                                TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                                                bool AShowEndEllipsis, bool AShowPrefix, const rtl::String& AText,
                                                TFont* AFont, TColor ATextColor, TColor)
{
  if (AText.empty())
    return;
  TRect r = ARect;
  if (AFont)
    ACanvas->SetFont(AFont);
  if (ATextColor != clDefault)
    ACanvas->GetFont()->SetColor(ATextColor);
  if (AMultiLine)
    ACanvas->AlignMultiLineTextRectVertically(r, AText, AAlignmentVert, true, AShowPrefix, true, false,
                                              AShowEndEllipsis);
  static constexpr DWORD kHorzFlags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  static constexpr DWORD kVertFlags[] = {DT_TOP, DT_BOTTOM, DT_VCENTER};
  DWORD flags = kHorzFlags[static_cast<int>(AAlignmentHorz)] | kVertFlags[static_cast<int>(AAlignmentVert)] |
                DT_EDITCONTROL | (AMultiLine ? DT_WORDBREAK : DT_SINGLELINE);
  if (AShowEndEllipsis)
    flags |= DT_END_ELLIPSIS;
  if (!AShowPrefix)
    flags |= DT_NOPREFIX;
  dxUxDrawThemeTextStr(ATheme, ACanvas->GetHandle(), APartId, AStateId, AText, -1, flags, 0, r);
}

void TcxWinXPLookAndFeelPainter::DrawScaledHeader(TcxCanvas* ACanvas, const TRect& ABounds,
                                                  const TRect& ATextAreaBounds, TcxNeighbors ANeighbors,
                                                  TcxBorders ABorders, TcxButtonState AState,
                                                  rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                                  bool AMultiLine, bool AShowEndEllipsis, const rtl::String& AText,
                                                  TFont* AFont, TColor ATextColor, TColor ABkColor,
                                                  const TdxScaleFactor* AScaleFactor,
                                                  TcxDrawBackgroundEvent AOnDrawBackground, bool AIsLast, bool AIsGroup)
{
  HTHEME theme = NativeTheme(totHeader);
  if (!theme)
    return inherited::DrawScaledHeader(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders, AState,
                                       AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont,
                                       ATextColor, ABkColor, AScaleFactor, AOnDrawBackground, AIsLast, AIsGroup);
  const int state = NativeState(kNativeHeaderItemStates, AState);
  const int scheme = dxOffice11CurrentScheme();
  // Blue and olive draw the last item with its own right end.
  const int part = AIsLast && state == 1 && (scheme == 1 || scheme == 2) ? 3 : 1;
  if (dxOSIsWindows10OrLater)
    ACanvas->FillRect(ABounds, clWindow);
  NativeDraw(theme, ACanvas, part, state, ABounds);
  const TRect textRect = AState == cxbsPressed ? cxRectOffsetBy(ATextAreaBounds, 1, 1) : ATextAreaBounds;
  DrawThemedText(ACanvas, theme, part, state, ABounds, textRect, AAlignmentHorz, AAlignmentVert, AMultiLine,
                 AShowEndEllipsis, false, AText, AFont, ATextColor, ABkColor);
}

void TcxWinXPLookAndFeelPainter::DrawHeaderPressed(TcxCanvas*, const TRect&)
{
}

void TcxWinXPLookAndFeelPainter::DrawScaledHeaderControlSection(
    TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, TcxNeighbors, TcxBorders ABorders,
    TcxButtonState AState, rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
    bool AShowEndEllipsis, const rtl::String& AText, TFont* AFont, TColor ATextColor, TColor ABkColor,
    const TdxScaleFactor* AScaleFactor)
{
  ACanvas->FillRect(ABounds, clBtnFace);
  DrawScaledHeader(ACanvas, ABounds, ATextAreaBounds, {nRight}, ABorders, AState, AAlignmentHorz, AAlignmentVert,
                   AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor, AScaleFactor, {}, false, false);
}

void TcxWinXPLookAndFeelPainter::DrawSpreadSheetScaledHeader(
    TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, TcxNeighbors ANeighbors,
    TcxBorders ABorders, TcxButtonState AState, rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
    bool AMultiLine, bool AShowEndEllipsis, const rtl::String& AText, TFont* AFont, TColor ATextColor,
    TColor ABkColor, const TdxScaleFactor* AScaleFactor, TcxDrawBackgroundEvent AOnDrawBackground, bool AIsLast,
    bool AIsGroup)
{
  DrawScaledHeader(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders, AState, AAlignmentHorz, AAlignmentVert,
                   AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor, AScaleFactor, AOnDrawBackground,
                   AIsLast, AIsGroup);
}

void TcxWinXPLookAndFeelPainter::DrawScaledSortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                                                       const TdxScaleFactor* AScaleFactor)
{
  DrawSortingArrow(ACanvas, R, AScaleFactor, AAscendingSorting, clBtnShadow, clBtnShadow);
}

void TcxWinXPLookAndFeelPainter::DrawScaledSummarySortingMark(TcxCanvas* ACanvas, const TRect& R,
                                                              bool AAscendingSorting,
                                                              const TdxScaleFactor* AScaleFactor)
{
  DrawSummarySortingArrow(ACanvas, R, AScaleFactor, AAscendingSorting, clBtnShadow, clBtnShadow);
}

void TcxWinXPLookAndFeelPainter::DrawFilterRowSeparator(TcxCanvas* ACanvas, const TRect& ARect,
                                                        TColor ABackgroundColor)
{
  inherited::DrawFilterRowSeparator(ACanvas, ARect, ABackgroundColor);
  if (dxOSIsWindows10OrLater)
    ACanvas->FrameRect(ARect, DefaultGridLineColor(), 1, {bTop, bRight, bBottom});
}

void TcxWinXPLookAndFeelPainter::DrawFooterBorder(TcxCanvas* ACanvas, const TRect& R)
{
  if (HTHEME theme = NativeTheme(totEdit))
    dxUxDrawThemeEdge(theme, ACanvas->GetHandle(), 0, 0, R, BDR_RAISEDINNER, BF_RECT, nullptr);
  else
    inherited::DrawFooterBorder(ACanvas, R);
}

void TcxWinXPLookAndFeelPainter::DrawFooterCell(TcxCanvas* ACanvas, const TRect& ABounds,
                                                rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                                bool AMultiLine, const rtl::String& AText, TFont* AFont,
                                                TColor ATextColor, TColor ABkColor,
                                                TcxDrawBackgroundEvent AOnDrawBackground)
{
  HTHEME theme = NativeTheme(totTrackBar);
  if (!theme)
    return inherited::DrawFooterCell(ACanvas, ABounds, AAlignmentHorz, AAlignmentVert, AMultiLine, AText, AFont,
                                     ATextColor, ABkColor, AOnDrawBackground);
  NativeDraw(theme, ACanvas, 1, 1, ABounds);
  DrawThemedText(ACanvas, theme, 1, 1, ABounds, FooterCellTextAreaBounds(ABounds), AAlignmentHorz, AAlignmentVert,
                 AMultiLine, false, false, AText, AFont, ATextColor, ABkColor);
}

void TcxWinXPLookAndFeelPainter::DrawScaledFilterCloseButton(TcxCanvas* ACanvas, const TRect& R,
                                                             TcxButtonState AState,
                                                             const TdxScaleFactor* AScaleFactor)
{
  if (HTHEME theme = NativeTheme(totWindow))
    DrawScaledThemeBackground(theme, ACanvas->GetHandle(), 19, NativeState(kNativeSmallCloseButtonStates, AState), R,
                              AScaleFactor, !AScaleFactor->Equals(dxGetDefaultScaleFactor()));
  else
    inherited::DrawScaledFilterCloseButton(ACanvas, R, AState, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawScaledFilterDropDownButton(TcxCanvas* ACanvas, const TRect& R,
                                                                TcxButtonState AState, bool AIsFilterActive,
                                                                const TdxScaleFactor* AScaleFactor)
{
  if (HTHEME theme = NativeTheme(totComboBox))
    NativeDraw(theme, ACanvas, 1, NativeState(kNativeComboDropDownStates, AState), R);
  else
    inherited::DrawScaledFilterDropDownButton(ACanvas, R, AState, AIsFilterActive, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawDateNavigatorDateHeader(TcxCanvas* ACanvas, TRect& R)
{
  if (HTHEME theme = NativeTheme(totHeader))
    NativeDraw(theme, ACanvas, 2, 1, R);
  else
    inherited::DrawDateNavigatorDateHeader(ACanvas, R);
}

// ---------------------------------------------------------------------------
// Tabs, layout and explorer views

void TcxWinXPLookAndFeelPainter::DrawThemedTab(TcxCanvas* ACanvas, HTHEME ATheme, const TRect& R, TcxBorders ABorders,
                                               const rtl::String& AText, int AState, bool AVertical, TFont* AFont,
                                               TColor ATextColor, TColor ABkColor, bool AShowPrefix)
{
  constexpr int kSelected = 3;
  TRect clip = R;
  HDC dc = ACanvas->GetHandle();
  rtl::TOwnedPtr<TcxBitmap32> bitmap;
  if (AVertical) {
    // Drawn lying on its side into a bitmap: the theme has no vertical tabs.
    clip = cxRectMoveToOrigin(cxRectTranspose(R));
    bitmap.reset(rtl::NewWith<TcxBitmap32>([&](TcxBitmap32* B) { B->CreateSize(clip, false); }));
    dc = bitmap->GetCanvas()->GetHandle();
  }
  TRect drawn = clip;
  // Missing borders push the theme's rounded ends out of sight.
  if (!ABorders.Contains(AVertical ? bTop : bLeft))
    drawn.left -= 2;
  if (!ABorders.Contains(AVertical ? bBottom : bRight))
    drawn.right += 2;
  if (AState == kSelected)
    ++drawn.bottom;
  else
    --clip.bottom;
  dxUxDrawThemeBackground(ATheme, dc, 1, AState, drawn, clip);
  if (AVertical) {
    ACanvas->RotateBitmap(bitmap.get(), raPlus90, true);
    clip = cxRectTranspose(clip);
    drawn = cxRectTranspose(drawn);
    // Only what the theme drew: an unselected tab leaves its inner column
    // to what the canvas shows.
    BitBlt(ACanvas->GetHandle(), R.left, R.top, cxRectGetWidth(clip), cxRectGetHeight(clip),
           bitmap->GetCanvas()->GetHandle(), clip.left, clip.top, SRCCOPY);
    bitmap.reset();
    clip = cxRectOffsetBy(clip, R.left, R.top);
    drawn = cxRectOffsetBy(drawn, R.left, R.top);
  }
  if (AState == kSelected) {
    if (AVertical)
      drawn.right -= 2;
    else
      drawn.bottom -= 2;
  }
  DrawThemedText(ACanvas, ATheme, 1, AState, clip, drawn, taCenter, vaCenter, false, false, AShowPrefix, AText, AFont,
                 ATextColor, ABkColor);
}

void TcxWinXPLookAndFeelPainter::DrawTab(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders,
                                         const rtl::String& AText, TcxButtonState AState, bool AVertical, TFont* AFont,
                                         TColor ATextColor, TColor ABkColor, bool AShowPrefix)
{
  if (HTHEME theme = NativeTheme(totTab))
    DrawThemedTab(ACanvas, theme, R, ABorders, AText, NativeState(kNativeTabItemStates, AState), AVertical, AFont,
                  ATextColor, ABkColor, AShowPrefix);
  else
    inherited::DrawTab(ACanvas, R, ABorders, AText, AState, AVertical, AFont, ATextColor, ABkColor, AShowPrefix);
}

void TcxWinXPLookAndFeelPainter::DrawTabBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorder ABorder,
                                               TcxBorders ABorders, bool AVertical)
{
  // The themed tab carries its own border.
  if (!NativeTheme(totTab))
    inherited::DrawTabBorder(ACanvas, R, ABorder, ABorders, AVertical);
}

void TcxWinXPLookAndFeelPainter::DrawTabsRoot(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders, bool AVertical)
{
  HTHEME theme = NativeTheme(totTab);
  if (!theme)
    return inherited::DrawTabsRoot(ACanvas, R, ABorders, AVertical);
  const TRect content = NativeContentRect(theme, 9, 0, R).value_or(R);
  // The pane is drawn larger than R so that only its edge along the tabs
  // shows, its far side clipped away.
  TRect drawn = R;
  if (AVertical) {
    drawn.bottom += (R.bottom - content.bottom) - (content.top - R.top);
    drawn.right += 10;
  } else {
    drawn.right += (R.right - content.right) - (content.left - R.left);
    drawn.bottom += 10;
  }
  dxUxDrawThemeBackground(theme, ACanvas->GetHandle(), 9, 0, drawn, R);
}

void TcxWinXPLookAndFeelPainter::LayoutViewDrawRecordCaption(TcxCanvas* ACanvas, const TRect& ABounds, const TRect&,
                                                             TcxGroupBoxCaptionPosition APosition,
                                                             TcxButtonState AState, TColor, TBitmap*)
{
  LayoutViewDrawRecordBorder(ACanvas, ABounds, AState, cxBordersAll);
  const bool vertical = APosition != cxgpTop;
  if (HTHEME theme = NativeTheme(totTab))
    DrawThemedTab(ACanvas, theme, ABounds, {}, rtl::String(), NativeState(kNativeRecordCaptionTabStates, AState),
                  vertical, nullptr, clDefault, clDefault, false);
  else
    TcxCustomLookAndFeelPainter::DrawTab(ACanvas, ABounds, {}, rtl::String(), AState, vertical, nullptr, clDefault,
                                         clDefault, false);
}

void TcxWinXPLookAndFeelPainter::LayoutViewDrawItem(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                                    TcxBorders ABorders)
{
  HTHEME theme = NativeTheme(totMenu);
  if (theme && (AState == cxbsHot || AState == cxbsPressed || AState == cxbsDisabled))
    NativeDraw(theme, ACanvas, 14, AState == cxbsDisabled ? 4 : 2, ABounds);
  else
    inherited::LayoutViewDrawItem(ACanvas, ABounds, AState, ABorders);
}

void TcxWinXPLookAndFeelPainter::WinExplorerViewDrawRecord(TcxCanvas* ACanvas, const TRect& ABounds,
                                                           TcxButtonState AState, TColor, TBitmap*)
{
  HTHEME theme = NativeTheme(totMenu);
  if (theme && (AState == cxbsHot || AState == cxbsPressed || AState == cxbsDisabled))
    NativeDraw(theme, ACanvas, 14, AState == cxbsDisabled ? 4 : 2, ABounds);
  else
    inherited::WinExplorerViewDrawRecord(ACanvas, ABounds, AState, clDefault, nullptr);
}

// ---------------------------------------------------------------------------
// Scroll bars, splitters and grips

void TcxWinXPLookAndFeelPainter::DoDrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal,
                                                     const TdxScaleFactor* AScaleFactor, TcxScrollBarPart APart,
                                                     TcxButtonState AState, const TRect& R)
{
  if (cxRectHasNoArea(R))
    return;
  HTHEME theme = NativeTheme(totScrollBar);
  if (!theme)
    return inherited::DoDrawScrollBarPart(ACanvas, AHorizontal, AScaleFactor, APart, AState, R);
  const int state = NativeState(kNativeScrollBarStates, AState);
  switch (APart) {
    case sbpLineUp:
    case sbpLineDown:
      DrawScaledArrow(ACanvas, R, AState, GetScrollBarArrowDirection(AHorizontal, APart), AScaleFactor, true);
      break;
    case sbpThumbnail: {
      const int part = AHorizontal ? 2 : 3;
      NativeDraw(theme, ACanvas, part, state, R);
      // The gripper only where the thumb is longer than it is thick.
      const std::optional<TSize> size = NativePartSize(theme, part, 1);
      const bool fits = !size || (AHorizontal ? AScaleFactor->Apply(size->cy) < cxRectGetWidth(R)
                                              : AScaleFactor->Apply(size->cx) < cxRectGetHeight(R));
      if (fits)
        NativeDraw(theme, ACanvas, AHorizontal ? 8 : 9, state, R);
      break;
    }
    case sbpPageUp:
      NativeDraw(theme, ACanvas, AHorizontal ? 4 : 6, state, R);
      break;
    case sbpPageDown:
      NativeDraw(theme, ACanvas, AHorizontal ? 5 : 7, state, R);
      break;
    default:
      break;
  }
}

void TcxWinXPLookAndFeelPainter::DrawScaledSplitter(TcxCanvas* ACanvas, const TRect& ARect, bool AHighlighted,
                                                    bool AClicked, bool AHorizontal,
                                                    const TdxScaleFactor* AScaleFactor, bool AHasCloseMark,
                                                    TcxArrowDirection AArrowDirection)
{
  if (AHasCloseMark)
    DrawSplitterCloseMark(ACanvas, ARect, AHighlighted, AClicked, AHorizontal, AScaleFactor, AArrowDirection);
}

void TcxWinXPLookAndFeelPainter::DrawScaledScrollBarSplitter(TcxCanvas* ACanvas, const TRect& R,
                                                             TcxButtonState AState,
                                                             const TdxScaleFactor* AScaleFactor)
{
  TcxCustomLookAndFeelPainter::DrawScaledSplitter(ACanvas, cxRectInflateAll(R, -2), AState == cxbsHot,
                                                  AState == cxbsPressed, false, AScaleFactor, false, adLeft);
}

void TcxWinXPLookAndFeelPainter::DoDrawSizeGrip(TcxCanvas* ACanvas, const TRect& ARect,
                                                const TdxScaleFactor* AScaleFactor)
{
  if (HTHEME theme = NativeTheme(totScrollBar))
    NativeDraw(theme, ACanvas, 10, 1, ARect);
  else
    inherited::DoDrawSizeGrip(ACanvas, ARect, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawScaledIndicatorItem(TcxCanvas* ACanvas, const TRect& R,
                                                         const TRect& AImageAreaBounds, TcxIndicatorKind AKind,
                                                         TColor AColor, const TdxScaleFactor* AScaleFactor,
                                                         TcxDrawBackgroundEvent AOnDrawBackground,
                                                         TcxNeighbors ANeighbors)
{
  if (TcxCustomLookAndFeelPainter* flat = NativeFlatPainter())
    flat->DrawScaledIndicatorItem(ACanvas, R, AImageAreaBounds, AKind, AColor, AScaleFactor, AOnDrawBackground,
                                  ANeighbors);
  else
    inherited::DrawScaledIndicatorItem(ACanvas, R, AImageAreaBounds, AKind, AColor, AScaleFactor, AOnDrawBackground,
                                       ANeighbors);
}

void TcxWinXPLookAndFeelPainter::DrawScaledIndicatorItem(TcxCanvas* ACanvas, const TRect& R, TcxIndicatorKind AKind,
                                                         TColor AColor, const TdxScaleFactor* AScaleFactor,
                                                         TcxDrawBackgroundEvent AOnDrawBackground)
{
  if (TcxCustomLookAndFeelPainter* flat = NativeFlatPainter())
    flat->DrawScaledIndicatorItem(ACanvas, R, AKind, AColor, AScaleFactor, AOnDrawBackground);
  else
    inherited::DrawScaledIndicatorItem(ACanvas, R, AKind, AColor, AScaleFactor, AOnDrawBackground);
}

// ---------------------------------------------------------------------------
// Scheduler, calendar and clock

void TcxWinXPLookAndFeelPainter::DrawSchedulerNavigationButtonContent(TcxCanvas* ACanvas, const TRect& ARect,
                                                                      const TRect& AArrowRect, bool AIsNextButton,
                                                                      TcxButtonState AState, bool AIsVertical)
{
  HTHEME theme = NativeTheme(totTab);
  if (!theme)
    return inherited::DrawSchedulerNavigationButtonContent(ACanvas, ARect, AArrowRect, AIsNextButton, AState,
                                                           AIsVertical);
  // A tab turned to point its open side at the scheduler: drawn over a
  // copy of the canvas pixels, turned there and back.
  const rtl::TOwnedPtr<TcxBitmap> bitmap(rtl::NewWith<TcxBitmap>(
      [&](TcxBitmap* B) { B->CreateSize(ARect, TPixelFormat::pf32bit); }));
  BitBlt(bitmap->GetCanvas()->GetHandle(), 0, 0, cxRectGetWidth(ARect), cxRectGetHeight(ARect),
         ACanvas->GetHandle(), ARect.left, ARect.top, SRCCOPY);
  if (AIsVertical)
    bitmap->Rotate(AIsNextButton ? raMinus90 : raPlus90);
  dxUxDrawThemeBackground(theme, bitmap->GetCanvas()->GetHandle(), 1, NativeState(kNativeTabItemStates, AState),
                          bitmap->GetClientRect());
  if (AIsVertical)
    bitmap->Rotate(AIsNextButton ? raPlus90 : raMinus90);
  else if (!AIsNextButton)
    bitmap->Rotate(ra180);
  BitBlt(ACanvas->GetHandle(), ARect.left, ARect.top, cxRectGetWidth(ARect), cxRectGetHeight(ARect),
         bitmap->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
  DrawSchedulerNavigationButtonArrow(ACanvas, AArrowRect, AIsNextButton, ButtonSymbolColor(AState, clDefault),
                                     AIsVertical);
}

void TcxWinXPLookAndFeelPainter::DrawScaledMonthHeader(TcxCanvas* ACanvas, const TRect& ABounds,
                                                       const rtl::String& AText, TcxNeighbors ANeighbors,
                                                       const TcxViewParams& AViewParams, TcxArrowDirections AArrows,
                                                       int, const TdxScaleFactor* AScaleFactor,
                                                       TcxDrawBackgroundEvent AOnDrawBackground)
{
  DrawScaledHeader(ACanvas, ABounds, ABounds, ANeighbors, cxBordersAll, cxbsNormal, taCenter, vaCenter, false, false,
                   AText, AViewParams.Font, AViewParams.TextColor, AViewParams.Color, AScaleFactor, AOnDrawBackground,
                   !ANeighbors.Contains(nRight), false);
  cxDrawMonthHeaderArrows(ACanvas, this, ABounds, AArrows, clWindowText);
}

void TcxWinXPLookAndFeelPainter::DrawSchedulerEventProgress(TcxCanvas* ACanvas, const TRect& ABounds,
                                                            const TRect& AProgress, const TcxViewParams& AViewParams,
                                                            bool ATransparent)
{
  HTHEME theme = NativeTheme(totProgress);
  if (!theme)
    return inherited::DrawSchedulerEventProgress(ACanvas, ABounds, AProgress, AViewParams, ATransparent);
  NativeDraw(theme, ACanvas, 1, 0, ABounds);
  NativeDraw(theme, ACanvas, 3, 0, AProgress);
}

void TcxWinXPLookAndFeelPainter::DrawSchedulerScaledNavigatorButton(TcxCanvas* ACanvas, const TRect& R,
                                                                    TcxButtonState AState,
                                                                    const TdxScaleFactor* AScaleFactor)
{
  if (HTHEME theme = NativeTheme(totToolBar))
    NativeDraw(theme, ACanvas, 1, NativeState(kNativeSchedulerNavigatorStates, AState), R);
  else
    inherited::DrawSchedulerScaledNavigatorButton(ACanvas, R, AState, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawSchedulerSplitterBorder(TcxCanvas* ACanvas, const TRect& R,
                                                             const TcxViewParams& AViewParams, bool AIsHorizontal)
{
  HTHEME comboBox = NativeTheme(totComboBox);
  const std::optional<TColor> border =
      NativeTheme(totListView) && comboBox ? NativeColor(comboBox, 1, 1, kNativeBorderColor) : std::nullopt;
  if (!border)
    return inherited::DrawSchedulerSplitterBorder(ACanvas, R, AViewParams, AIsHorizontal);
  // The border lines across the splitter; the rest of it in the view's look.
  TRect rest = R;
  if (AIsHorizontal) {
    ACanvas->FillRect(cxRectWithHeight(R, 1), *border);
    ACanvas->FillRect(cxRectSetBottomAndHeight(R, R.bottom, 1), *border);
    rest = cxRectInflateSides(R, 1, -1, 1, -1);
  } else {
    ACanvas->FillRect(cxRectWithWidth(R, 1), *border);
    ACanvas->FillRect(cxRectSetRightAndWidth(R, R.right, 1), *border);
    rest = cxRectInflateSides(R, -1, 1, -1, 1);
  }
  ACanvas->FillRect(rest, AViewParams);
}

void TcxWinXPLookAndFeelPainter::DrawScaledClock(TcxCanvas* ACanvas, const TRect& ARect, rtl::TDateTime ADateTime,
                                                 TColor ABackgroundColor, const TdxScaleFactor* AScaleFactor)
{
  DrawModernCalendarClock(ACanvas, ARect, ADateTime, ABackgroundColor, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawModernCalendarDateCellSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                                     TcxCalendarElementStates AStates)
{
  HTHEME theme = NativeTheme(totExplorerListView);
  if (!theme)
    return inherited::DrawModernCalendarDateCellSelection(ACanvas, ARect, AStates);
  const bool hot = AStates.Contains(cesHot);
  const bool selected = AStates.Contains(cesSelected);
  if (hot || selected) {
    int state = 2;
    if (selected)
      state = hot ? 6 : AStates.Contains(cesFocused) ? 3 : 5;
    NativeDraw(theme, ACanvas, 1, state, ARect);
  }
  if (AStates.Contains(cesMarked))
    ACanvas->FrameRect(ARect, GetModernCalendarMarkedCellBorderColor());
  if (AStates.Contains(cesFocused))
    ACanvas->DrawFocusRect(cxRectInflateAll(ARect, -1));
}

// ---------------------------------------------------------------------------
// Frames, popups, hints and panels

void TcxWinXPLookAndFeelPainter::DrawGroupBoxFrame(TcxCanvas* ACanvas, const TRect& R, bool AEnabled,
                                                   TcxGroupBoxCaptionPosition ACaptionPosition, TcxBorders ABorders)
{
  if (HTHEME theme = NativeTheme(totButton))
    NativeDraw(theme, ACanvas, 4, NativeGroupBoxState(AEnabled), R);
  else
    inherited::DrawGroupBoxFrame(ACanvas, R, AEnabled, ACaptionPosition, ABorders);
}

void TcxWinXPLookAndFeelPainter::DrawPanelBackground(TcxCanvas* ACanvas, TWinControl* AControl, const TRect& ABounds,
                                                     TColor AColorFrom, TColor)
{
  if (AColorFrom == clDefault)
    cxPaintParentBackground(AControl, ACanvas, ABounds);
  else
    ACanvas->FillRect(ABounds, AColorFrom);
}

void TcxWinXPLookAndFeelPainter::DrawEditPopupWindowBorder(TcxCanvas* ACanvas, TRect& R,
                                                           TcxEditPopupBorderStyle ABorderStyle, bool AClientEdge)
{
  if (dxOSIsWindowsVistaOrLater) {
    HTHEME theme = NativeTheme(totListBox);
    if (!theme)
      return inherited::DrawEditPopupWindowBorder(ACanvas, R, ABorderStyle, AClientEdge);
    NativeDraw(theme, ACanvas, 3, 3, R);
  } else {
    ACanvas->FrameRect(R, clBtnText);
  }
  R = cxRectInflateAll(R, -1);
}

void TcxWinXPLookAndFeelPainter::DrawHintBackground(TcxCanvas* ACanvas, const TRect& ARect, TColor AColor)
{
  if (HTHEME theme = NativeTheme(totToolTip))
    NativeDraw(theme, ACanvas, 1, 1, cxRectInflateAll(ARect, 4));
  else
    inherited::DrawHintBackground(ACanvas, ARect, AColor);
}

void TcxWinXPLookAndFeelPainter::DrawFindPanelBorder(TcxCanvas*, const TRect&, TcxBorders)
{
}

void TcxWinXPLookAndFeelPainter::DrawBevelFrame(TcxCanvas* ACanvas, const TRect& R, TColor AColor1, TColor AColor2,
                                                bool ABoxStyle)
{
  if (HTHEME theme = NativeTheme(totButton))
    NativeDraw(theme, ACanvas, 4, 1, R);
  else
    inherited::DrawBevelFrame(ACanvas, R, AColor1, AColor2, ABoxStyle);
}

void TcxWinXPLookAndFeelPainter::DrawBevelLine(TcxCanvas* ACanvas, const TRect& R, TColor AColor1, TColor AColor2,
                                               bool AIsVertical)
{
  if (HTHEME theme = NativeTheme(totToolBar))
    NativeDraw(theme, ACanvas, AIsVertical ? 5 : 6, 1, R);
  else
    inherited::DrawBevelLine(ACanvas, R, AColor1, AColor2, AIsVertical);
}

// ---------------------------------------------------------------------------
// Track bars

void TcxWinXPLookAndFeelPainter::CorrectThumbRect(TcxCanvas* ACanvas, TRect& ARect, bool AHorizontal,
                                                  TcxTrackBarTicksAlign ATicks)
{
  HTHEME theme = NativeTheme(totTrackBar);
  const std::optional<TSize> size =
      theme ? NativePartSize(theme, NativeThumbPart(ATicks, AHorizontal), 1, TS_DRAW, ACanvas->GetHandle(), &ARect)
            : std::nullopt;
  if (!size)
    return inherited::CorrectThumbRect(ACanvas, ARect, AHorizontal, ATicks);
  ARect = cxRectBounds(ARect.left + (cxRectGetWidth(ARect) - size->cx) / 2,
                       ARect.top + (cxRectGetHeight(ARect) - size->cy) / 2, size->cx, size->cy);
}

void TcxWinXPLookAndFeelPainter::DrawTrackBarScaledTrack(TcxCanvas* ACanvas, const TRect& ARect,
                                                         const TRect& ASelection, bool AShowSelection, bool AEnabled,
                                                         bool AHorizontal, TColor ATrackColor,
                                                         const TdxScaleFactor* AScaleFactor)
{
  if (HTHEME theme = NativeTheme(totTrackBar))
    NativeDraw(theme, ACanvas, AHorizontal ? 1 : 2, 1, ARect);
  else
    inherited::DrawTrackBarScaledTrack(ACanvas, ARect, ASelection, AShowSelection, AEnabled, AHorizontal, ATrackColor,
                                       AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawTrackBarScaledThumb(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState,
                                                         bool AHorizontal, TcxTrackBarTicksAlign ATicks,
                                                         TColor AThumbColor, const TdxScaleFactor* AScaleFactor)
{
  if (HTHEME theme = NativeTheme(totTrackBar))
    DrawScaledThemeBackground(theme, ACanvas->GetHandle(), NativeThumbPart(ATicks, AHorizontal),
                              NativeState(kNativeTrackBarThumbStates, AState), ARect, AScaleFactor);
  else
    inherited::DrawTrackBarScaledThumb(ACanvas, ARect, AState, AHorizontal, ATicks, AThumbColor, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawRangeTrackBarScaledLeftThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                                  TcxButtonState AState, bool AHorizontal,
                                                                  TcxTrackBarTicksAlign, TColor AThumbColor,
                                                                  const TdxScaleFactor* AScaleFactor)
{
  TRect R = ARect;
  if (dxOSIsWindowsVistaOrLater)
    (AHorizontal ? R.right : R.bottom) += 1;
  DrawTrackBarScaledThumb(ACanvas, R, AState, AHorizontal, tbtaBoth, AThumbColor, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawRangeTrackBarScaledRightThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                                   TcxButtonState AState, bool AHorizontal,
                                                                   TcxTrackBarTicksAlign ATicks, TColor AThumbColor,
                                                                   const TdxScaleFactor* AScaleFactor)
{
  DrawRangeTrackBarScaledLeftThumb(ACanvas, ARect, AState, AHorizontal, ATicks, AThumbColor, AScaleFactor);
}

// ---------------------------------------------------------------------------
// Drop-down list box, breadcrumb edit, gallery, toggle switch, wheel picker

void TcxWinXPLookAndFeelPainter::DrawDropDownListBoxBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                               bool AHasBorders)
{
  if (!dxThemesAvailable())
    return inherited::DrawDropDownListBoxBackground(ACanvas, ARect, AHasBorders);
  TRect r = ARect;
  HTHEME theme = NativeTheme(totMenu);
  if (AHasBorders) {
    const auto edge = [&](int AProperty) { return theme ? NativeColor(theme, 9, 0, AProperty) : std::nullopt; };
    ACanvas->FrameRect(r, edge(kNativeEdgeLightColor).value_or(clBtnShadow));
    r = cxRectInflateAll(r, -1);
    ACanvas->FrameRect(r, edge(kNativeEdgeHighlightColor).value_or(clBtnHighlight));
    r = cxRectInflateAll(r, -1);
  }
  if (theme)
    NativeDraw(theme, ACanvas, 9, 0, r);
  else
    ACanvas->FillRect(r, clWindow);
}

void TcxWinXPLookAndFeelPainter::DrawDropDownListBoxScaledGutterBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                                           const TdxScaleFactor* AScaleFactor)
{
  if (HTHEME theme = NativeTheme(totMenu))
    NativeDraw(theme, ACanvas, 13, 0, ARect);
  else
    inherited::DrawDropDownListBoxScaledGutterBackground(ACanvas, ARect, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawDropDownListBoxScaledSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                                    const TRect& AGutterRect,
                                                                    const TdxScaleFactor* AScaleFactor)
{
  if (HTHEME theme = NativeTheme(totMenu))
    NativeDraw(theme, ACanvas, 14, 2, ARect);
  else
    inherited::DrawDropDownListBoxScaledSelection(ACanvas, ARect, AGutterRect, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawDropDownListBoxScaledSeparator(TcxCanvas* ACanvas, const TRect& ARect,
                                                                    const TRect& AGutterRect,
                                                                    const TdxScaleFactor* AScaleFactor)
{
  HTHEME theme = NativeTheme(totMenu);
  const std::optional<TSize> size =
      theme ? NativePartSize(theme, 15, 0, TS_TRUE, ACanvas->GetHandle()) : std::nullopt;
  if (!size)
    return inherited::DrawDropDownListBoxScaledSeparator(ACanvas, ARect, AGutterRect, AScaleFactor);
  TRect band = cxRectCenterVertBox(ARect, size->cy);
  band.left = AGutterRect.right + 2;
  NativeDraw(theme, ACanvas, 15, 0, band);
}

void TcxWinXPLookAndFeelPainter::DrawBreadcrumbEditBorders(TcxCanvas* ACanvas, const TRect& ARect,
                                                           TcxBorders ABorders, TdxBreadcrumbEditState AState)
{
  HTHEME theme = NativeTheme(totEdit);
  if (!theme)
    return inherited::DrawBreadcrumbEditBorders(ACanvas, ARect, ABorders, AState);
  const int part = dxOSIsWindowsVistaOrLater ? 6 : 1;
  const int state = NativeBreadcrumbBorderState(AState);
  if (ABorders == cxBordersAll)
    return NativeDraw(theme, ACanvas, part, state, ARect);
  // The missing sides are pushed out past the clip.
  const TRect margins = NativeMargins(theme, part, 0, kNativeSizingMargins).value_or(TRect{1, 1, 1, 1});
  const TRect outward{ABorders.Contains(bLeft) ? 0 : margins.left, ABorders.Contains(bTop) ? 0 : margins.top,
                      ABorders.Contains(bRight) ? 0 : margins.right, ABorders.Contains(bBottom) ? 0 : margins.bottom};
  const TNativeClipTo clip(ACanvas, ARect);
  NativeDraw(theme, ACanvas, part, state, cxRectInflateByMargins(ARect, outward));
}

void TcxWinXPLookAndFeelPainter::DrawBreadcrumbEditScaledButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                                TdxBreadcrumbEditButtonState AState, bool AIsFirst,
                                                                bool AIsLast, const TdxScaleFactor* AScaleFactor)
{
  HTHEME theme = NativeTheme(totButton);
  if (!theme)
    return inherited::DrawBreadcrumbEditScaledButton(ACanvas, ARect, AState, AIsFirst, AIsLast, AScaleFactor);
  const int state = NativeBreadcrumbButtonState(AState);
  if (state == 0)
    return;
  TRect offsets = BreadcrumbEditScaledButtonContentOffsets(AIsFirst, AIsLast, AScaleFactor);
  offsets.left = 1;
  offsets.right = 1;
  DrawClippedButtonPart(ACanvas, theme, state, ARect, offsets);
}

void TcxWinXPLookAndFeelPainter::DrawBreadcrumbEditScaledButtonAreaSeparator(TcxCanvas*, const TRect&,
                                                                             TdxBreadcrumbEditState,
                                                                             const TdxScaleFactor*)
{
}

void TcxWinXPLookAndFeelPainter::DrawBreadcrumbEditScaledDropDownButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                                        TdxBreadcrumbEditButtonState AState, bool,
                                                                        const TdxScaleFactor* AScaleFactor)
{
  DrawBreadcrumbEditScaledButton(ACanvas, ARect, AState, true, true, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawBreadcrumbEditScaledNode(TcxCanvas* ACanvas, const TRect& R,
                                                              TdxBreadcrumbEditButtonState AState, bool AHasDelimiter,
                                                              const TdxScaleFactor* AScaleFactor)
{
  HTHEME theme = NativeTheme(totButton);
  if (!theme)
    return inherited::DrawBreadcrumbEditScaledNode(ACanvas, R, AState, AHasDelimiter, AScaleFactor);
  const int state = NativeBreadcrumbButtonState(AState);
  if (state == 0 || cxRectHasNoArea(R))
    return;
  // With a delimiter the node's right end continues into it.
  TRect offsets = BreadcrumbEditScaledButtonContentOffsets(true, true, AScaleFactor);
  offsets.left = 1;
  if (!AHasDelimiter)
    offsets.right = 1;
  DrawClippedButtonPart(ACanvas, theme, state, R, offsets);
}

void TcxWinXPLookAndFeelPainter::DrawBreadcrumbEditScaledNodeDelimiter(TcxCanvas* ACanvas, const TRect& R,
                                                                       TdxBreadcrumbEditButtonState AState,
                                                                       const TdxScaleFactor* AScaleFactor)
{
  HTHEME theme = NativeTheme(totButton);
  if (!theme)
    return inherited::DrawBreadcrumbEditScaledNodeDelimiter(ACanvas, R, AState, AScaleFactor);
  const int state = NativeBreadcrumbButtonState(AState);
  if (state == 0 || cxRectHasNoArea(R))
    return;
  TRect offsets = BreadcrumbEditScaledButtonContentOffsets(true, true, AScaleFactor);
  offsets.left = 1;
  offsets.right = 1;
  DrawClippedButtonPart(ACanvas, theme, state, R, offsets);
}

void TcxWinXPLookAndFeelPainter::DrawBreadcrumbEditScaledNodeDelimiterGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                                            TdxBreadcrumbEditButtonState AState,
                                                                            const TdxScaleFactor*)
{
  TcxArrowDirection direction = ACanvas->GetUseRightToLeftAlignment() ? adLeft : adRight;
  if (AState == dxbcbsPressed)
    direction = adDown;
  DrawArrow(ACanvas, cxRectInflateAll(R, -1), direction, BreadcrumbEditNodeTextColor(AState));
}

void TcxWinXPLookAndFeelPainter::DrawBreadcrumbEditScaledNodeMoreButtonGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                                             TdxBreadcrumbEditButtonState AState,
                                                                             const TdxScaleFactor* AScaleFactor)
{
  DrawCollapseArrow(ACanvas, R, BreadcrumbEditNodeTextColor(AState), AScaleFactor->Apply(2));
}

void TcxWinXPLookAndFeelPainter::DrawBreadcrumbEditScaledProgressChunk(TcxCanvas* ACanvas, const TRect& R,
                                                                       const TdxScaleFactor* AScaleFactor)
{
  if (HTHEME theme = NativeTheme(totProgress))
    NativeDraw(theme, ACanvas, 3, 1, R);
  else
    inherited::DrawBreadcrumbEditScaledProgressChunk(ACanvas, R, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawBreadcrumbEditScaledProgressChunkOverlay(TcxCanvas* ACanvas, const TRect& R,
                                                                              const TdxScaleFactor* AScaleFactor)
{
  if (HTHEME theme = dxOSIsWindowsVistaOrLater ? NativeTheme(totProgress) : nullptr)
    NativeDraw(theme, ACanvas, 8, 0, R);
  else
    inherited::DrawBreadcrumbEditScaledProgressChunkOverlay(ACanvas, R, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawGalleryItemSelection(TcxCanvas* ACanvas, const TRect& R,
                                                          const TdxGalleryItemViewState& AViewState)
{
  HTHEME theme = NativeTheme(totExplorerListView);
  if (!theme)
    return inherited::DrawGalleryItemSelection(ACanvas, R, AViewState);
  int state = 1;
  if (AViewState.Pressed)
    state = 3;
  else if (AViewState.Checked)
    state = (AViewState.Hover || AViewState.Focused) && dxOSIsWindowsVistaOrLater ? 6 : 3;
  else if (AViewState.Focused)
    state = 5;
  else if (AViewState.Hover)
    state = 2;
  if (state != 1)
    NativeDraw(theme, ACanvas, 1, state, R);
}

void TcxWinXPLookAndFeelPainter::DrawScaledToggleSwitchState(TcxCanvas* ACanvas, const TRect& ABounds,
                                                             TcxButtonState, bool AChecked, const TdxScaleFactor*)
{
  TdxGPPaintCanvas* canvas = dxGpPaintCanvas();
  canvas->BeginPaint(ACanvas->GetHandle(), ABounds);
  try {
    canvas->Rectangle(ABounds, dxColorToAlphaColor(static_cast<TColor>(0x707070), 255),
                      dxColorToAlphaColor(ToggleSwitchToggleColor(AChecked), 255), 1.0f);
  } catch (...) {
    canvas->EndPaint();
    throw;
  }
  canvas->EndPaint();
}

void TcxWinXPLookAndFeelPainter::DrawScaledToggleSwitchThumb(TcxCanvas* ACanvas, const TRect& ABounds,
                                                             TcxButtonState AState,
                                                             const TdxScaleFactor* AScaleFactor)
{
  DrawScaledButton(ACanvas, cxRectInflateAll(ABounds, -1), rtl::String(), AState, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawWheelPickerItemBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                               TcxButtonState AState)
{
  HTHEME theme = NativeTheme(totExplorerListView);
  if (theme && (AState == cxbsHot || AState == cxbsPressed))
    NativeDraw(theme, ACanvas, 1, AState == cxbsPressed ? 3 : 5, ARect);
  else
    inherited::DrawWheelPickerItemBackground(ACanvas, ARect, AState);
}

void TcxWinXPLookAndFeelPainter::DrawWheelPickerItemBorder(TcxCanvas* ACanvas, const TRect& ARect,
                                                           TcxButtonState AState)
{
  // The themed picture carries its own border.
  if (!(NativeTheme(totExplorerListView) && (AState == cxbsHot || AState == cxbsPressed)))
    inherited::DrawWheelPickerItemBorder(ACanvas, ARect, AState);
}
