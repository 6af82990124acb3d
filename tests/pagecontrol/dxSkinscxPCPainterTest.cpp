// The skin tab painter drawing with a skin made here, and falling back to
// the Tabs painter without one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "pagecontrol/cxPCPainters.h"
#include "pagecontrol/dxSkinscxPCPainter.h"
#include "platform/vcl/ImgList.h"
#include "skins/dxSkinsLookAndFeelPainter.h"
#include "tests/pagecontrol/PageControlTestSupport.h"
#include "tests/skins/SkinsTestSupport.h"

namespace {

using enum TdxSkinElementState;

constexpr std::uint32_t kNormalTab = 0xFFC0D0E0;
constexpr std::uint32_t kHotTab = 0xFFE0E0A0;
constexpr std::uint32_t kSelectedTab = 0xFF4080C0;
constexpr std::uint32_t kDisabledTab = 0xFF909090;
constexpr std::uint32_t kPane = 0xFF60A060;
constexpr vcl::TColor kContent = 0x00302010;
constexpr std::uint32_t kTabButton = 0xFFE08040;

// Frames of one solid colour each, one per state, with margins of 2 so the
// faces stretch.
void LoadFaces(TdxSkinElement* AElement, TdxSkinElementStates AStates, int AImageCount,
               const std::vector<std::uint32_t>& AColors)
{
  AElement->GetImage()->SetStates(AStates);
  AElement->GetImage()->SetImageCount(AImageCount);
  AElement->GetImage()->SetInterpolationMode(imNearestNeighbor);
  AElement->GetImage()->GetMargins()->SetAll(2);
  skinstest::LoadFrames(AElement->GetImage(), {8, 8}, AColors);
}

// A skin painter registered under "PCProbe" for one test.
struct TPCSkinFixture : testing::Test {
  pctest::TPCControlPtr Control = pctest::NewControl(300, 120);
  rtl::TOwnedPtr<TcxBitmap> Bitmap{rtl::NewWith<TcxBitmap>([](TcxBitmap* B) {
    B->CreateSize(300, 120, vcl::TPixelFormat::pf24bit);
  })};

  void SetUp() override
  {
    auto* painter = rtl::New<TdxSkinLookAndFeelPainter>(rtl::String(), HINSTANCE(nullptr));
    TdxSkin* skin = rtl::New<TdxSkin>(rtl::String(L"PCProbe"), false, HINSTANCE(nullptr));
    TdxSkinControlGroup* tabs = skin->AddGroup(L"PageControl");
    TdxSkinElement* header = tabs->AddElement(L"TabHeader");
    LoadFaces(header, {esNormal, esHot, esPressed, esDisabled}, 1, {kNormalTab, kHotTab, kSelectedTab, kDisabledTab});
    header->GetContentOffset()->SetRect(TRect{6, 4, 6, 4});
    header->AddPropertyColor(L"TextColor", vcl::clNavy);
    header->AddPropertyColor(L"TextColorSelected", vcl::clWhite);
    LoadFaces(tabs->AddElement(L"TabPane"), {esNormal}, 1, {kPane});
    LoadFaces(tabs->AddElement(L"TabButton"), {esNormal, esHot, esPressed, esDisabled}, 1,
              {kTabButton, kTabButton, kTabButton, kTabButton});
    LoadFaces(tabs->AddElement(L"TabButtonHorz"), {esNormal, esHot, esPressed, esDisabled}, 4,
              std::vector<std::uint32_t>(16, kNormalTab));
    LoadFaces(tabs->AddElement(L"TabButtonVert"), {esNormal, esHot, esPressed, esDisabled}, 4,
              std::vector<std::uint32_t>(16, kNormalTab));
    tabs->AddPropertyInteger(L"SelectedHeaderHGrow", 2);
    tabs->AddPropertyInteger(L"SelectedHeaderUpGrow", 2);
    skin->AddColor(L"ContentColor", kContent);
    painter->SkinInfo()->SetSkin(skin);
    ASSERT_TRUE(cxLookAndFeelPaintersManager()->Register(painter));
    // A native style would hide the skin, as on the main window.
    Control->GetControlLookAndFeel()->SetNativeStyle(false);
    Control->GetControlLookAndFeel()->SetSkinName(L"PCProbe");
  }
  void TearDown() override
  {
    Control->GetControlLookAndFeel()->SetSkinName(rtl::String());
    cxLookAndFeelPaintersManager()->Unregister(L"PCProbe");
  }

  void Paint()
  {
    TcxCustomTabControlProperties* properties = Control->GetProperties();
    if (properties->GetTabs()->GetCount() == 0)
      for (const wchar_t* caption : {L"Model", L"CRUD", L"Fields"})
        properties->GetTabs()->Add(caption);
    Control->SetPainterClass(Control->GetViewInfo()->GetPainterClass());
    Control->GetViewInfo()->Calculate();
    Bitmap->GetcxCanvas()->FillRect(Bitmap->GetClientRect(), vcl::clFuchsia);
    Control->GetPCPainter()->Paint(Bitmap->GetcxCanvas());
  }
  std::uint32_t Pixel(int X, int Y) { return GetPixel(Bitmap->GetcxCanvas()->GetHandle(), X, Y); }
  void Save(const wchar_t* AName)
  {
    if (const char* folder = std::getenv("KV_RENDER_DIR")) {
      const rtl::TOwnedPtr<TdxPNGImage> png(rtl::New<TdxPNGImage>());
      png->LoadFromBitmap(Bitmap.get());
      png->SaveToFile(std::wstring(folder, folder + std::strlen(folder)) + L"\\" + AName);
    }
  }
};

// $AARRGGBB as a GDI colour ($00BBGGRR).
constexpr std::uint32_t AsColorRef(std::uint32_t AColor)
{
  return ((AColor & 0xFF) << 16) | (AColor & 0xFF00) | ((AColor >> 16) & 0xFF);
}

TEST_F(TPCSkinFixture, TheSkinStyleIsChosenAndDrawsFromTheSkinsElements)
{
  Paint();
  Save(L"SkinTabPainter.png");
  ASSERT_TRUE(rtl::Is<TcxPCSkinPainter>(Control->GetPCPainter()));
  TcxCustomTabControlViewInfo* viewInfo = Control->GetViewInfo();
  TcxTabViewInfo* main = viewInfo->GetTabViewInfo(0);
  TcxTabViewInfo* other = viewInfo->GetTabViewInfo(1);
  // The selected tab grows by the skin's indents; the content offsets pad
  // the caption.
  EXPECT_EQ(main->GetFullRect().left, main->GetNormalRect().left - 2);
  EXPECT_EQ(main->GetFullRect().top, main->GetNormalRect().top - 2);
  EXPECT_EQ(main->GetTextRect().left, main->GetContentRect().left + (main->GetContentRect().right -
                                                                     main->GetContentRect().left -
                                                                     (main->GetTextRect().right - main->GetTextRect().left)) / 2);
  EXPECT_EQ(main->GetContentRect().left, main->GetFullRect().left + 6);

  const TRect frame = Control->GetPCPainter()->GetPageFrameRect();
  struct {
    const char* Name;
    int X, Y;
    std::uint32_t Color;
  } const cases[] = {
      {"selected tab face", main->GetFullRect().left + 3, main->GetFullRect().top + 3, AsColorRef(kSelectedTab)},
      {"other tab face", other->GetFullRect().left + 3, other->GetFullRect().top + 3, AsColorRef(kNormalTab)},
      {"pane", (frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2, AsColorRef(kPane)},
      {"content colour beside the tabs", 290, 5, static_cast<std::uint32_t>(kContent)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Pixel(c.X, c.Y), c.Color) << c.Name;

  // The caption of the selected tab takes the skin's selected text colour.
  bool white = false;
  const TRect text = main->GetTextRect();
  for (int y = text.top; y < text.bottom; ++y)
    for (int x = text.left; x < text.right; ++x)
      white = white || Pixel(x, y) == 0xFFFFFF;
  EXPECT_TRUE(white);
}

TEST_F(TPCSkinFixture, TabsAtTheSidesAreTurnedWithTheirCaptions)
{
  // Captions used to stay upright in tabs standing on end, and were cut.
  for (TcxTabPosition position : {TcxTabPosition::tpLeft, TcxTabPosition::tpRight}) {
    Control->GetProperties()->SetTabPosition(position);
    Paint();
    Save((L"SkinTabPainter" + rtl::GetEnumName(position) + L".png").c_str());
    TcxTabViewInfo* main = Control->GetViewInfo()->GetTabViewInfo(0);
    const TRect text = main->GetTextRect();
    ASSERT_GT(text.bottom - text.top, text.right - text.left) << rtl::GetEnumName(position);
    TRect ink{text.right, text.bottom, text.left, text.top};
    for (int y = text.top; y < text.bottom; ++y)
      for (int x = text.left; x < text.right; ++x)
        if (Pixel(x, y) == 0xFFFFFF) {
          ink.left = std::min<int>(ink.left, x);
          ink.right = std::max<int>(ink.right, x + 1);
          ink.top = std::min<int>(ink.top, y);
          ink.bottom = std::max<int>(ink.bottom, y + 1);
        }
    EXPECT_GT(ink.bottom - ink.top, 2 * (ink.right - ink.left)) << rtl::GetEnumName(position);
  }
}

TEST_F(TPCSkinFixture, WithoutASkinTheTabsPainterDraws)
{
  Control->GetControlLookAndFeel()->SetSkinName(rtl::String());
  Paint();
  ASSERT_FALSE(rtl::Is<TcxPCSkinPainter>(Control->GetPCPainter()));
  // The skin painter itself falls back operation by operation.
  Control->SetPainterClass(TcxPCPainterClass::Of<TcxPCSkinPainter>());
  Control->GetViewInfo()->Calculate();
  Bitmap->GetcxCanvas()->FillRect(Bitmap->GetClientRect(), vcl::clFuchsia);
  Control->GetPCPainter()->Paint(Bitmap->GetcxCanvas());
  Save(L"SkinTabPainterWithoutSkin.png");
  const TRect main = Control->GetViewInfo()->GetTabViewInfo(0)->GetFullRect();
  EXPECT_EQ(Pixel(main.left + 5, main.top), vcl::ColorToRGB(vcl::clBtnHighlight));
  EXPECT_EQ(Pixel(290, 5), vcl::ColorToRGB(vcl::clBtnFace));
}

// Custom header buttons stand on the skin's tab button beside the skin's
// navigator buttons, their images over it, for review:
// KV_RENDER_DIR=<folder> writes SkinHeaderButtons.png there.
TEST_F(TPCSkinFixture, CustomHeaderButtonsStandOnTheSkinsTabButton)
{
  const rtl::TOwnedPtr<vcl::TImageList> images(
      rtl::NewWith<vcl::TImageList>([](vcl::TImageList* L) { L->CreateSize(8, 8); }));
  {
    const rtl::TOwnedPtr<TcxBitmap> image(rtl::NewWith<TcxBitmap>([](TcxBitmap* B) { B->CreateSize(8, 8); }));
    image->GetcxCanvas()->FillRect(TRect{0, 0, 8, 8}, vcl::clFuchsia);
    image->GetcxCanvas()->FillRect(TRect{1, 1, 7, 7}, vcl::clGreen);
    images->AddMasked(image.get(), vcl::clFuchsia);
  }
  TcxCustomTabControlProperties* properties = Control->GetProperties();
  properties->SetOptions(cxPCDefaultOptions + TcxPCOptions{TcxPCOption::pcoGoDialog});
  properties->GetCustomButtons()->GetHeaderImages()->SetBaseImages(images.get());
  properties->GetCustomButtons()->GetButtons()->Add()->SetHeaderImageIndex(0);
  Paint();
  Save(L"SkinHeaderButtons.png");
  TcxCustomTabControlViewInfo* viewInfo = Control->GetViewInfo();
  TRect button{};
  for (int i = 0; i < viewInfo->NavigatorButtonCount(); ++i)
    if (viewInfo->GetNavigatorButtonInfo(i).Button)
      button = viewInfo->GetNavigatorButtonInfo(i).Bounds;
  ASSERT_LT(button.left, button.right);
  // The face at the button's edge, the image in its middle.
  EXPECT_EQ(Pixel(button.left + 1, button.top + 1), AsColorRef(kTabButton));
  EXPECT_EQ(Pixel((button.left + button.right) / 2, (button.top + button.bottom) / 2),
            static_cast<std::uint32_t>(vcl::ColorToRGB(vcl::clGreen)));
  properties->GetCustomButtons()->GetHeaderImages()->SetBaseImages(nullptr);
}

}  // namespace
