// Colours: ColorToRGB and the colour names of form files.
#include "platform/vcl/Graphics.h"

#include <string_view>

namespace vcl {

namespace {

struct ColorName {
  TColor Color;
  std::wstring_view Name;
};

// The framework's names, in its order: the plain colours, then the system
// colours, then the extended ones and the markers.
constexpr ColorName kColorNames[] = {
    {clBlack, L"clBlack"},
    {clMaroon, L"clMaroon"},
    {clGreen, L"clGreen"},
    {clOlive, L"clOlive"},
    {clNavy, L"clNavy"},
    {clPurple, L"clPurple"},
    {clTeal, L"clTeal"},
    {clGray, L"clGray"},
    {clSilver, L"clSilver"},
    {clRed, L"clRed"},
    {clLime, L"clLime"},
    {clYellow, L"clYellow"},
    {clBlue, L"clBlue"},
    {clFuchsia, L"clFuchsia"},
    {clAqua, L"clAqua"},
    {clWhite, L"clWhite"},
    {clMoneyGreen, L"clMoneyGreen"},
    {clSkyBlue, L"clSkyBlue"},
    {clCream, L"clCream"},
    {clMedGray, L"clMedGray"},
    {clActiveBorder, L"clActiveBorder"},
    {clActiveCaption, L"clActiveCaption"},
    {clAppWorkSpace, L"clAppWorkSpace"},
    {clBackground, L"clBackground"},
    {clBtnFace, L"clBtnFace"},
    {clBtnHighlight, L"clBtnHighlight"},
    {clBtnShadow, L"clBtnShadow"},
    {clBtnText, L"clBtnText"},
    {clCaptionText, L"clCaptionText"},
    {clDefault, L"clDefault"},
    {clGradientActiveCaption, L"clGradientActiveCaption"},
    {clGradientInactiveCaption, L"clGradientInactiveCaption"},
    {clGrayText, L"clGrayText"},
    {clHighlight, L"clHighlight"},
    {clHighlightText, L"clHighlightText"},
    {clHotLight, L"clHotLight"},
    {clInactiveBorder, L"clInactiveBorder"},
    {clInactiveCaption, L"clInactiveCaption"},
    {clInactiveCaptionText, L"clInactiveCaptionText"},
    {clInfoBk, L"clInfoBk"},
    {clInfoText, L"clInfoText"},
    {clMenu, L"clMenu"},
    {clMenuBar, L"clMenuBar"},
    {clMenuHighlight, L"clMenuHighlight"},
    {clMenuText, L"clMenuText"},
    {clNone, L"clNone"},
    {clScrollBar, L"clScrollBar"},
    {cl3DDkShadow, L"cl3DDkShadow"},
    {cl3DLight, L"cl3DLight"},
    {clWindow, L"clWindow"},
    {clWindowFrame, L"clWindowFrame"},
    {clWindowText, L"clWindowText"},
};

}  // namespace

TColor ColorToRGB(TColor AColor)
{
  if (AColor < 0)
    return static_cast<TColor>(GetSysColor(AColor & 0xFF));
  return AColor;
}

bool ColorToIdent(TColor AColor, String& AIdent)
{
  for (const ColorName& entry : kColorNames)
    if (entry.Color == AColor) {
      AIdent = entry.Name;
      return true;
    }
  return false;
}

bool IdentToColor(const String& AIdent, TColor& AColor)
{
  for (const ColorName& entry : kColorNames)
    if (rtl::SameText(String(entry.Name), AIdent)) {
      AColor = entry.Color;
      return true;
    }
  return false;
}

String ColorToString(TColor AColor)
{
  String result;
  if (!ColorToIdent(AColor, result))
    result = L"$" + rtl::IntToHex(AColor, 8);
  return result;
}

TColor StringToColor(const String& S)
{
  TColor result;
  if (!IdentToColor(S, result))
    result = rtl::StrToInt(S);
  return result;
}

}  // namespace vcl
