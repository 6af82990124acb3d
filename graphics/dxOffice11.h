// The Office11 colour scheme: one palette shared by the painters of that
// style, with its brushes, glyph bitmaps and drawing routines.
// - the palette: 79 plain RGB colours, taken from a built-in table when a
//   visual style with a known colour variant (blue, olive, silver) is active,
//   else mixed from the Windows system colours;
// - 13 brushes and three bitmaps made from it while someone holds a
//   reference (dxOffice11AddColorsRef / dxOffice11ReleaseColors);
// - the grip dots, size grip, arrows, frame and banded gradient of the style.
//
// User-interface thread only. While referenced, the palette follows theme
// and system-colour changes by itself; the brush and bitmap handles then
// change, so callers read them afresh for each drawing.
#pragma once

#include <windows.h>

#include <span>

#include "core/cxGeometry.h"
#include "core/dxTypeHelpers.h"
#include "platform/rtl/SystemTypes.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/vcl/Graphics.h"

RTL_DECLARE_UNIT(dxOffice11);

// ---------------------------------------------------------------------------
// Scheme

// 0 none, 1 blue ("NormalColor"), 2 olive ("HomeStead"), 3 silver
// ("Metallic").
inline constexpr int dxOffice11SchemeNone = 0;
inline constexpr int dxOffice11SchemeBlue = 1;
inline constexpr int dxOffice11SchemeOlive = 2;
inline constexpr int dxOffice11SchemeSilver = 3;

// The scheme the last computation found.
int dxOffice11CurrentScheme();
// Themes were available and the scheme known at the last computation.
bool dxOffice11UsesSchemeColors();

// ---------------------------------------------------------------------------
// Palette

inline constexpr int dxOffice11ColorCount = 79;
// All zero until the first computation; kept after the last release.
extern vcl::TColor dxOffice11Colors[dxOffice11ColorCount];
// The percentage by which dxOffice11FillGradientRect moves the middle of its
// gradient: 41 blue, 125 olive, 40 silver, 75 without a scheme.
extern int dxOffice11GradientWeight;

// The entries by their use. Several names stand for one entry where painters
// of different kinds know it by different names.
inline vcl::TColor& dxOffice11DockColor1 = dxOffice11Colors[0];
inline vcl::TColor& dxOffice11DockColor2 = dxOffice11Colors[1];
inline vcl::TColor& dxOffice11BarColor1 = dxOffice11Colors[2];
inline vcl::TColor& dxOffice11BarColor2 = dxOffice11Colors[3];
// By mark state: none, selected, pressed.
inline constexpr std::span<vcl::TColor, 3> dxOffice11MarkColors1{dxOffice11Colors + 4, 3};
inline constexpr std::span<vcl::TColor, 3> dxOffice11MarkColors2{dxOffice11Colors + 7, 3};
inline constexpr std::span<vcl::TColor, 2> dxOffice11BarEdgeColors{dxOffice11Colors + 10, 2};
inline constexpr std::span<vcl::TColor, 3> dxOffice11MarkCornerColors{dxOffice11Colors + 12, 3};
inline constexpr std::span<vcl::TColor, 3> dxOffice11MarkEdgeColors{dxOffice11Colors + 15, 3};
inline vcl::TColor& dxOffice11GripDarkColor = dxOffice11Colors[18];
inline vcl::TColor& dxOffice11GripLightColor = dxOffice11Colors[19];
inline vcl::TColor& dxOffice11SeparatorColor = dxOffice11Colors[20];
inline vcl::TColor& dxOffice11SeparatorLightColor = dxOffice11Colors[21];
inline vcl::TColor& dxOffice11MarkArrowColor = dxOffice11Colors[22];
inline vcl::TColor& dxOffice11MarkArrowShadowColor = dxOffice11Colors[23];
inline vcl::TColor& dxOffice11FloatingBorderColor = dxOffice11Colors[24];
inline vcl::TColor& dxOffice11FloatingBorderInnerColor = dxOffice11Colors[25];
inline vcl::TColor& dxOffice11FloatingCaptionColor = dxOffice11Colors[26];
inline vcl::TColor& dxOffice11BarCaptionBackgroundColor = dxOffice11Colors[27];
inline vcl::TColor& dxOffice11FloatingCaptionTextColor = dxOffice11Colors[28];
inline vcl::TColor& dxOffice11CaptionButtonHotColor = dxOffice11Colors[29];
inline vcl::TColor& dxOffice11CaptionButtonPressedColor = dxOffice11Colors[30];
inline vcl::TColor& dxOffice11MenuColor = dxOffice11Colors[31];
inline vcl::TColor& dxOffice11OwnerLinkColor1 = dxOffice11Colors[32];
inline vcl::TColor& dxOffice11OwnerLinkColor2 = dxOffice11Colors[33];
inline vcl::TColor& dxOffice11MenuGutterLightColor = dxOffice11Colors[34];
inline vcl::TColor& dxOffice11MenuGutterDarkColor = dxOffice11Colors[35];
inline vcl::TColor& dxOffice11NonRecentBandColor1 = dxOffice11Colors[36];
inline vcl::TColor& dxOffice11NonRecentBandColor2 = dxOffice11Colors[37];
inline vcl::TColor& dxOffice11MenuBorderColor = dxOffice11Colors[38];
inline vcl::TColor& dxOffice11MenuContentColor = dxOffice11Colors[39];
inline vcl::TColor& dxOffice11SelectedColor = dxOffice11Colors[40];
inline vcl::TColor& dxOffice11SelectedBorderColor = dxOffice11Colors[41];
inline vcl::TColor& dxOffice11SelectedColor1 = dxOffice11Colors[42];
inline vcl::TColor& dxOffice11SelectedColor2 = dxOffice11Colors[43];
inline vcl::TColor& dxOffice11PressedColor1 = dxOffice11Colors[44];
inline vcl::TColor& dxOffice11PressedColor2 = dxOffice11Colors[45];
inline vcl::TColor& dxOffice11ButtonFaceColor = dxOffice11Colors[46];
inline vcl::TColor& dxOffice11DownColor = dxOffice11Colors[47];
inline vcl::TColor& dxOffice11PressedColor = dxOffice11Colors[48];
inline vcl::TColor& dxOffice11DetachCaptionColor = dxOffice11Colors[49];
inline vcl::TColor& dxOffice11DetachCaptionSelectedColor = dxOffice11Colors[50];
inline vcl::TColor& dxOffice11TextColor = dxOffice11Colors[51];
inline vcl::TColor& dxOffice11DisabledTextColor = dxOffice11Colors[52];
inline vcl::TColor& dxOffice11StaticBorderColor = dxOffice11Colors[53];
inline vcl::TColor& dxOffice11DateNavigatorHeaderColor = dxOffice11Colors[54];
inline vcl::TColor& dxOffice11GroupByBoxColor = dxOffice11Colors[55];
inline vcl::TColor& dxOffice11BarCaptionTextColor = dxOffice11Colors[56];
inline vcl::TColor& dxOffice11BorderColor = dxOffice11Colors[57];
inline vcl::TColor& dxOffice11GroupColor = dxOffice11Colors[58];
inline vcl::TColor& dxOffice11SelectionColor = dxOffice11Colors[59];
inline vcl::TColor& dxOffice11SchedulerBorderColor = dxOffice11Colors[60];
inline vcl::TColor& dxOffice11SchedulerControlColor = dxOffice11Colors[61];
inline vcl::TColor& dxOffice11GroupRowColor = dxOffice11Colors[62];
inline vcl::TColor& dxOffice11GroupRowTextColor = dxOffice11Colors[63];
inline vcl::TColor& dxOffice11GroupRowSeparatorColor = dxOffice11Colors[64];
inline vcl::TColor& dxOffice11NavPaneBorderColor = dxOffice11Colors[65];
inline vcl::TColor& dxOffice11NavPaneGroupCaptionColor1 = dxOffice11Colors[66];
inline vcl::TColor& dxOffice11NavPaneGroupCaptionColor2 = dxOffice11Colors[67];
inline vcl::TColor& dxOffice11NavPaneHotColor1 = dxOffice11Colors[68];
inline vcl::TColor& dxOffice11NavPaneHotColor2 = dxOffice11Colors[69];
inline vcl::TColor& dxOffice11NavPanePressedColor1 = dxOffice11Colors[70];
inline vcl::TColor& dxOffice11NavPanePressedColor2 = dxOffice11Colors[71];
inline vcl::TColor& dxOffice11NavPaneHotPressedColor1 = dxOffice11Colors[72];
inline vcl::TColor& dxOffice11NavPaneHotPressedColor2 = dxOffice11Colors[73];
inline vcl::TColor& dxOffice11NavPaneHeaderColor1 = dxOffice11Colors[74];
inline vcl::TColor& dxOffice11NavPaneHeaderColor2 = dxOffice11Colors[75];
inline vcl::TColor& dxOffice11NavPaneHeaderTextColor = dxOffice11Colors[76];
inline vcl::TColor& dxOffice11NavPaneSplitterColor1 = dxOffice11Colors[77];
inline vcl::TColor& dxOffice11NavPaneSplitterColor2 = dxOffice11Colors[78];

// The names the look-and-feel painters use.
inline vcl::TColor& dxOffice11FaceColor = dxOffice11DockColor1;
inline vcl::TColor& dxOffice11LightFaceColor = dxOffice11DockColor2;
inline vcl::TColor& dxOffice11GradientLightColor = dxOffice11BarColor1;
inline vcl::TColor& dxOffice11GradientDarkColor = dxOffice11BarColor2;
inline vcl::TColor& dxOffice11SeparatorDarkColor = dxOffice11SeparatorColor;
inline vcl::TColor& dxOffice11FilterBoxColor = dxOffice11FloatingBorderColor;
inline vcl::TColor& dxOffice11FilterBoxTextColor = dxOffice11FloatingCaptionTextColor;
inline vcl::TColor& dxOffice11DownedColor = dxOffice11PressedColor1;
inline vcl::TColor& dxOffice11DownedSelectedColor = dxOffice11DownColor;
inline vcl::TColor& dxOffice11TextDisabledColor = dxOffice11DisabledTextColor;

// The fixed corner colours of the expand buttons, which the painter blends
// with the background.
inline constexpr vcl::TColor dxOffice11ExpandButtonColor1 = 0xBFAE9E;  // RGB(158, 174, 191)
inline constexpr vcl::TColor dxOffice11ExpandButtonColor2 = 0x5F462E;  // RGB(46, 70, 95)

// ---------------------------------------------------------------------------
// Brushes and bitmaps: nil while nobody holds a reference. The palette owns
// them; callers never delete them.

inline constexpr int dxOffice11BrushCount = 13;
extern HBRUSH dxOffice11Brushes[dxOffice11BrushCount];

inline HBRUSH& dxOffice11GripDarkBrush = dxOffice11Brushes[0];
inline HBRUSH& dxOffice11GripLightBrush = dxOffice11Brushes[1];
inline HBRUSH& dxOffice11SeparatorBrush = dxOffice11Brushes[2];
inline HBRUSH& dxOffice11SeparatorLightBrush = dxOffice11Brushes[3];
inline HBRUSH& dxOffice11BorderBrush = dxOffice11Brushes[4];
inline HBRUSH& dxOffice11MenuBrush = dxOffice11Brushes[5];
inline HBRUSH& dxOffice11HighlightBrush = dxOffice11Brushes[6];
inline HBRUSH& dxOffice11ButtonFaceBrush = dxOffice11Brushes[7];
inline HBRUSH& dxOffice11DownBrush = dxOffice11Brushes[8];
inline HBRUSH& dxOffice11PressedBrush = dxOffice11Brushes[9];
inline HBRUSH& dxOffice11DetachCaptionBrush = dxOffice11Brushes[10];
inline HBRUSH& dxOffice11SelectedBrush = dxOffice11Brushes[11];
inline HBRUSH& dxOffice11InPlaceSubItemBrush = dxOffice11Brushes[12];
// Handles shared with the brushes above.
inline HBRUSH& dxOffice11StaticBorderBrush = dxOffice11BorderBrush;
inline HBRUSH& dxOffice11OwnerLinkBrush = dxOffice11MenuBrush;
inline HBRUSH& dxOffice11DetachedSubMenuBrush = dxOffice11SelectedBrush;

// "DXSUBMENUEXPAND" recoloured to the bar gradient, and the 11 x 11 expand
// buttons. Empty when the program lacks the resource.
extern vcl::TBitmap* dxOffice11SubMenuExpandBitmap;
extern vcl::TBitmap* dxOffice11ExpandButtonMinusBitmap;
extern vcl::TBitmap* dxOffice11ExpandButtonPlusBitmap;

// ---------------------------------------------------------------------------
// References

// The first reference computes the palette and makes the brushes and
// bitmaps; every call counts.
void dxOffice11AddColorsRef();
// The last release frees the brushes and bitmaps; the colours stay.
void dxOffice11ReleaseColors();
// Recomputes the palette and, while referenced, remakes the brushes and
// bitmaps. Runs by itself after a theme or system-colour change while
// referenced.
void dxOffice11RefreshColors();
// Recomputes the scheme, the colours and the gradient weight only.
void dxOffice11ComputeColors();
int dxOffice11ColorsRefCount();

// ---------------------------------------------------------------------------
// Drawing

// The banded gradient of the style, from AColor1 at the top (left when
// AHorizontal) to AColor2, its middle moved by the palette's weight.
void dxOffice11FillGradientRect(HDC DC, const TRect& R, vcl::TColor AColor1, vcl::TColor AColor2,
                                bool AHorizontal);
// A one-pixel frame: the separator brush, or clHighlightText under dark or
// coloured-text high contrast.
void dxOffice11FrameRect(HDC DC, const TRect& R);

// 4 pixels, scaled (by the system's factor for nil).
int dxOffice11GripDotSize(const TdxScaleFactor* AScaleFactor = nullptr);
// A row (or, AVertical, a column) of dots along R from R's top-left corner,
// centred along the run: each a light square with a dark one a pixel up and
// left over it. Nil brushes are the grip brushes of the palette.
void dxOffice11DrawGripDots(HDC DC, const TRect& R, bool AVertical, const TdxScaleFactor* AScaleFactor = nullptr,
                            HBRUSH ALightBrush = nullptr, HBRUSH ADarkBrush = nullptr);
// Three rows of 3, 2 and 1 dots in the bottom-right corner of R; clDefault
// colours (light, dark) are the palette's grip brushes.
void dxOffice11DrawSizeGrip(HDC DC, const TRect& R, vcl::TColor AColor1 = vcl::clDefault,
                            vcl::TColor AColor2 = vcl::clDefault, const TdxScaleFactor* AScaleFactor = nullptr);

// Directions of dxOffice11DrawArrowEx.
inline constexpr int dxOffice11ArrowDown = 1;
inline constexpr int dxOffice11ArrowLeft = 2;
inline constexpr int dxOffice11ArrowRight = 3;

// A solid down (AVertical) or right arrow sized to R.
void dxOffice11DrawArrow(HDC DC, const TRect& R, bool AVertical, bool AEnabled, bool AHighlighted);
// A solid triangle of size ASize centred in R, in the text colour (white when
// highlighted under light high contrast) or the disabled text colour. Other
// directions draw nothing.
void dxOffice11DrawArrowEx(HDC DC, const TRect& R, int ADirection, bool AEnabled, bool AHighlighted, int ASize);
