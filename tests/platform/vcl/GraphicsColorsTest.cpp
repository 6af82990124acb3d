#include <gtest/gtest.h>

#include "platform/vcl/Graphics.h"

using namespace vcl;

namespace {

TEST(GraphicsColors, MarkersAndSystemColoursHaveTheFrameworkValues)
{
  EXPECT_EQ(clNone, 0x1FFFFFFF);
  EXPECT_EQ(clDefault, 0x20000000);
  EXPECT_EQ(clBtnFace, static_cast<TColor>(0xFF00000F));
  EXPECT_EQ(clWindowText, static_cast<TColor>(0xFF000008));
  EXPECT_EQ(clMenuBar, static_cast<TColor>(0xFF00001E));
  EXPECT_LT(clBtnFace, 0);
}

TEST(GraphicsColors, ColorToRGBResolvesSystemColoursAndKeepsTheRest)
{
  struct Row {
    TColor Color;
    int Index;
  };
  const Row systemColors[] = {
      {clScrollBar, COLOR_SCROLLBAR},     {clBackground, COLOR_BACKGROUND},
      {clActiveCaption, COLOR_ACTIVECAPTION}, {clInactiveCaption, COLOR_INACTIVECAPTION},
      {clMenu, COLOR_MENU},               {clWindow, COLOR_WINDOW},
      {clWindowFrame, COLOR_WINDOWFRAME}, {clMenuText, COLOR_MENUTEXT},
      {clWindowText, COLOR_WINDOWTEXT},   {clCaptionText, COLOR_CAPTIONTEXT},
      {clActiveBorder, COLOR_ACTIVEBORDER}, {clInactiveBorder, COLOR_INACTIVEBORDER},
      {clAppWorkSpace, COLOR_APPWORKSPACE}, {clHighlight, COLOR_HIGHLIGHT},
      {clHighlightText, COLOR_HIGHLIGHTTEXT}, {clBtnFace, COLOR_BTNFACE},
      {clBtnShadow, COLOR_BTNSHADOW},     {clGrayText, COLOR_GRAYTEXT},
      {clBtnText, COLOR_BTNTEXT},         {clInactiveCaptionText, COLOR_INACTIVECAPTIONTEXT},
      {clBtnHighlight, COLOR_BTNHIGHLIGHT}, {cl3DDkShadow, COLOR_3DDKSHADOW},
      {cl3DLight, COLOR_3DLIGHT},         {clInfoText, COLOR_INFOTEXT},
      {clInfoBk, COLOR_INFOBK},           {clHotLight, COLOR_HOTLIGHT},
      {clGradientActiveCaption, COLOR_GRADIENTACTIVECAPTION},
      {clGradientInactiveCaption, COLOR_GRADIENTINACTIVECAPTION},
      {clMenuHighlight, COLOR_MENUHILIGHT}, {clMenuBar, COLOR_MENUBAR},
  };
  for (const Row& row : systemColors)
    EXPECT_EQ(ColorToRGB(row.Color), static_cast<TColor>(GetSysColor(row.Index))) << row.Index;

  for (TColor plain : {clBlack, clRed, clWhite, clMoneyGreen, static_cast<TColor>(0x00123456), clNone, clDefault})
    EXPECT_EQ(ColorToRGB(plain), plain);
}

TEST(GraphicsColors, NamesRoundTripAsFormFilesWriteThem)
{
  const std::pair<TColor, const wchar_t*> names[] = {
      {clBtnFace, L"clBtnFace"}, {clWindowText, L"clWindowText"}, {clNone, L"clNone"},
      {clDefault, L"clDefault"}, {clRed, L"clRed"},               {cl3DDkShadow, L"cl3DDkShadow"},
  };
  for (const auto& [color, name] : names) {
    String ident;
    ASSERT_TRUE(ColorToIdent(color, ident));
    EXPECT_EQ(ident, name);
    TColor back = 0;
    ASSERT_TRUE(IdentToColor(name, back));
    EXPECT_EQ(back, color);
  }
  TColor unknown = 0;
  EXPECT_FALSE(IdentToColor(L"clNoSuchColour", unknown));

  EXPECT_EQ(ColorToString(0x00123456), L"$00123456");
  EXPECT_EQ(StringToColor(L"$00123456"), 0x00123456);
  EXPECT_EQ(StringToColor(L"clbtnface"), clBtnFace);
  EXPECT_THROW(StringToColor(L"blue-ish"), rtl::EConvertError);
}

}  // namespace
