// The skin painter: elements of a skin made here drawn by state and told
// apart by pixel probes, the colours it answers, the Office-like look where
// the skin has nothing, a package that cannot be loaded, and the built-in
// skins' registration.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/LinkOrder.h"
#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxGDIPlusAPI.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Forms.h"
#include "skins/dxSkinVisualStudio2013Dark.h"
#include "skins/dxSkinsDefaultPainters.h"
#include "skins/dxSkinsLookAndFeelPainter.h"
#include "tests/platform/vcl/GraphicsTestSupport.h"
#include "tests/skins/SkinsTestSupport.h"

using enum TcxButtonState;
using enum TcxCheckBoxState;
using enum TcxEditBtnKind;
using enum TcxEditStateColorKind;
using enum TcxScrollBarPart;
using enum TdxSkinElementState;
using namespace skinstest;
using vcltest::AsPixel;
using vcltest::TSurface;

// Every skin unit, referred to so that the test program links them all.
#define KV_SKIN_UNIT_DECLARATION(AUnit) RTL_DECLARE_UNIT(AUnit);
KV_SKIN_UNITS(KV_SKIN_UNIT_DECLARATION)
#undef KV_SKIN_UNIT_DECLARATION

namespace {

#define KV_SKIN_UNIT_RECORD(AUnit) &unit_##AUnit,
[[gnu::used]] constinit const rtl::UnitInfo* const SkinPainterTestUnits[] = {KV_SKIN_UNITS(KV_SKIN_UNIT_RECORD)};
#undef KV_SKIN_UNIT_RECORD

constexpr std::uint32_t kBackground = 0x00123456;

struct TSkinPainterSurface {
  TSkinPainterSurface(int AWidth, int AHeight)
      : Surface(AWidth, AHeight, kBackground),
        Canvas(rtl::NewWith<vcl::TCanvas>([&](vcl::TCanvas* C) {
          C->Create();
          C->SetHandle(Surface.DC());
        })),
        Wrapper(rtl::New<TcxCanvas>(Canvas.get()))
  {
  }
  std::uint32_t Pixel(int X, int Y) const { return Surface.Pixel(X, Y); }
  TcxCanvas* Get() const { return Wrapper.get(); }

  TSurface Surface;
  rtl::TOwnedPtr<vcl::TCanvas> Canvas;
  rtl::TOwnedPtr<TcxCanvas> Wrapper;
};

// A painter without a package, bound to a skin built here.
rtl::TOwnedPtr<TdxSkinLookAndFeelPainter> NewPainterWithoutPackage()
{
  return rtl::TOwnedPtr<TdxSkinLookAndFeelPainter>(
      rtl::New<TdxSkinLookAndFeelPainter>(rtl::String(), HINSTANCE(nullptr)));
}

// Frames of one solid colour each, index-major: every image index has one
// frame per state of the set.
void LoadSolidFrames(TdxSkinElement* AElement, TdxSkinElementStates AStates, int AImageCount,
                     const std::vector<std::uint32_t>& AColors)
{
  AElement->GetImage()->SetStates(AStates);
  AElement->GetImage()->SetImageCount(AImageCount);
  AElement->GetImage()->SetInterpolationMode(imNearestNeighbor);
  LoadFrames(AElement->GetImage(), {8, 8}, AColors);
}

// $AARRGGBB of the frames as the surface stores them.
constexpr std::uint32_t Rgb(std::uint32_t AColor)
{
  return AColor & 0xFFFFFF;
}

constexpr std::uint32_t Yellow = 0xFFFFFF00;
constexpr std::uint32_t Cyan = 0xFF00FFFF;
constexpr std::uint32_t Magenta = 0xFFFF00FF;

class SkinPainterTest : public testing::Test {
 protected:
  SkinPainterTest() : Painter(NewPainterWithoutPackage())
  {
    TdxSkin* skin = rtl::New<TdxSkin>(rtl::String(L"Probe"), false, HINSTANCE(nullptr));
    TdxSkinControlGroup* common = skin->AddGroup(L"Common");
    TdxSkinControlGroup* editors = skin->AddGroup(L"Editors");
    LoadSolidFrames(common->AddElement(L"Button"), {esNormal, esHot, esPressed, esDisabled, esActive}, 1,
                    {Red, Green, Blue, Black, White});
    LoadSolidFrames(editors->AddElement(L"Checkbox"), {esNormal, esHot}, 3,
                    {Red, Green, Blue, Black, Yellow, Cyan});
    LoadSolidFrames(common->AddElement(L"ScrollButton"), {esNormal, esHot, esPressed}, 4,
                    {Red, Green, Blue, Black, Yellow, Cyan, White, Magenta, Red, Green, Blue, Black});
    LoadSolidFrames(common->AddElement(L"ScrollContentVert"), {esNormal, esHot, esPressed}, 1, {Red, Green, Blue});
    LoadSolidFrames(editors->AddElement(L"EditorButton"), {esNormal, esHot, esPressed, esDisabled}, 1,
                    {Red, Green, Blue, Black});
    skin->AddColor(L"ContainerBorderColor", vcl::clLime);
    skin->AddColor(L"ContainerHighlightBorderColor", vcl::clFuchsia);
    skin->AddColor(L"ContentColor", vcl::clNavy);
    editors->AddPropertyColor(L"BackgroundColor", vcl::clTeal);
    Painter->SkinInfo()->SetSkin(skin);
  }

  std::uint32_t DrawnButton(TcxButtonState AState)
  {
    TSkinPainterSurface surface(20, 20);
    Painter->DrawScaledButton(surface.Get(), TRect{0, 0, 20, 20}, rtl::String(), AState, dxGetDefaultScaleFactor());
    return surface.Pixel(10, 10);
  }

  rtl::TOwnedPtr<TdxSkinLookAndFeelPainter> Painter;
};

// Records what the application's handler is given.
class TSkinPainterExceptionLog : public rtl::TObject {
  RTL_CLASS(TSkinPainterExceptionLog, rtl::TObject)

 public:
  std::vector<rtl::String> Messages;
  void Handle(rtl::TObject*, rtl::Exception* E) { Messages.push_back(E->Message()); }
};

class TSkinPainterHandlerScope {
 public:
  TSkinPainterHandlerScope() : FLog(rtl::New<TSkinPainterExceptionLog>())
  {
    vcl::Application()->SetOnException(
        vcl::TExceptionEvent::Bind<&TSkinPainterExceptionLog::Handle>(FLog.get()));
  }
  ~TSkinPainterHandlerScope() { vcl::Application()->SetOnException({}); }
  TSkinPainterHandlerScope(const TSkinPainterHandlerScope&) = delete;
  TSkinPainterHandlerScope& operator=(const TSkinPainterHandlerScope&) = delete;

  const std::vector<rtl::String>& Messages() const { return FLog->Messages; }

 private:
  rtl::TOwnedPtr<TSkinPainterExceptionLog> FLog;
};

// Both painters draw into surfaces of the same size; true when every pixel
// matches.
bool DrawsTheSame(TcxCustomLookAndFeelPainter* A, TcxCustomLookAndFeelPainter* B,
                  const std::function<void(TcxCustomLookAndFeelPainter*, TcxCanvas*)>& ADraw)
{
  TSkinPainterSurface first(40, 24);
  TSkinPainterSurface second(40, 24);
  ADraw(A, first.Get());
  ADraw(B, second.Get());
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 40; ++x)
      if (first.Pixel(x, y) != second.Pixel(x, y))
        return false;
  return true;
}

// The operations the main window draws with, as one list for the fallback
// comparisons.
const std::vector<std::function<void(TcxCustomLookAndFeelPainter*, TcxCanvas*)>>& MainWindowDrawing()
{
  static const std::vector<std::function<void(TcxCustomLookAndFeelPainter*, TcxCanvas*)>> drawing = {
      [](TcxCustomLookAndFeelPainter* P, TcxCanvas* C) {
        P->DrawScaledButton(C, TRect{0, 0, 40, 24}, L"Go", cxbsHot, dxGetDefaultScaleFactor());
      },
      [](TcxCustomLookAndFeelPainter* P, TcxCanvas* C) {
        P->DrawScaledCheckButton(C, TRect{2, 2, 15, 15}, cxbsNormal, cbsChecked, dxGetDefaultScaleFactor());
      },
      [](TcxCustomLookAndFeelPainter* P, TcxCanvas* C) {
        P->DrawScaledScrollBarPart(C, false, TRect{0, 0, 17, 20}, sbpLineDown, cxbsPressed,
                                   dxGetDefaultScaleFactor());
      },
      [](TcxCustomLookAndFeelPainter* P, TcxCanvas* C) {
        P->DrawContainerBorder(C, TRect{0, 0, 40, 24}, TcxContainerBorderStyle::cbsSingle, 1,
                               P->GetContainerBorderColor(false), cxBordersAll);
      },
      [](TcxCustomLookAndFeelPainter* P, TcxCanvas* C) {
        P->DrawScaledEditorButton(C, TRect{0, 0, 17, 20}, cxbkComboBtn, cxbsNormal, dxGetDefaultScaleFactor());
      },
  };
  return drawing;
}

TcxCustomLookAndFeelPainter* Office11Painter()
{
  return cxLookAndFeelPaintersManager()->GetPainter(TcxLookAndFeelStyle::lfsOffice11);
}

}  // namespace

TEST_F(SkinPainterTest, ButtonsDrawTheFrameOfTheirState)
{
  const struct {
    TcxButtonState State;
    std::uint32_t Color;
  } cases[] = {{cxbsDefault, White}, {cxbsNormal, Red}, {cxbsHot, Green}, {cxbsPressed, Blue},
               {cxbsDisabled, Black}};
  for (const auto& c : cases)
    EXPECT_EQ(DrawnButton(c.State), Rgb(c.Color)) << static_cast<int>(c.State);
  EXPECT_EQ(Painter->ButtonBorderSize(), 0);
}

TEST_F(SkinPainterTest, CheckBoxesDrawTheImageOfTheirCheckStateInTheirButtonState)
{
  const struct {
    TcxCheckBoxState Check;
    TcxButtonState State;
    std::uint32_t Color;
  } cases[] = {{cbsUnchecked, cxbsNormal, Red}, {cbsChecked, cxbsNormal, Blue}, {cbsChecked, cxbsHot, Black},
               {cbsGrayed, cxbsNormal, Yellow}, {cbsGrayed, cxbsHot, Cyan}};
  for (const auto& c : cases) {
    TSkinPainterSurface surface(12, 12);
    Painter->DrawScaledCheckButton(surface.Get(), TRect{0, 0, 12, 12}, c.State, c.Check, dxGetDefaultScaleFactor());
    EXPECT_EQ(surface.Pixel(6, 6), Rgb(c.Color)) << static_cast<int>(c.Check) << "/" << static_cast<int>(c.State);
  }
  EXPECT_EQ(Painter->ScaledCheckButtonSize(dxGetDefaultScaleFactor()), (TSize{8, 8}));
}

TEST_F(SkinPainterTest, ScrollBarPartsDrawTheirImageAndPagesAtRestShowTheBackground)
{
  const struct {
    TcxScrollBarPart Part;
    TcxButtonState State;
    std::uint32_t Color;
  } cases[] = {
      {sbpLineUp, cxbsNormal, Red},      // image 0
      {sbpLineDown, cxbsHot, Yellow},    // image 1, hot
      {sbpPageUp, cxbsNormal, kBackground},
      {sbpPageDown, cxbsPressed, Blue},
  };
  for (const auto& c : cases) {
    TSkinPainterSurface surface(16, 16);
    Painter->DrawScaledScrollBarPart(surface.Get(), false, TRect{0, 0, 16, 16}, c.Part, c.State,
                                     dxGetDefaultScaleFactor());
    EXPECT_EQ(surface.Pixel(8, 8), Rgb(c.Color)) << static_cast<int>(c.Part);
  }
}

TEST_F(SkinPainterTest, ContainerBordersAndEditorButtonsComeFromTheSkin)
{
  EXPECT_EQ(Painter->GetContainerBorderColor(false), vcl::clLime);
  EXPECT_EQ(Painter->GetContainerBorderColor(true), vcl::clFuchsia);
  EXPECT_EQ(Painter->GetContainerBorderWidth(TcxContainerBorderStyle::cbsThick), 2);
  EXPECT_EQ(Painter->GetContainerBorderWidth(TcxContainerBorderStyle::cbs3D), 1);

  TSkinPainterSurface border(20, 20);
  Painter->DrawBorder(border.Get(), TRect{0, 0, 20, 20});
  EXPECT_EQ(border.Pixel(0, 10), AsPixel(vcl::clLime));
  EXPECT_EQ(border.Pixel(10, 10), kBackground);

  for (const auto& [state, color] : {std::pair{cxbsNormal, Red}, std::pair{cxbsHot, Green}}) {
    TSkinPainterSurface surface(17, 20);
    Painter->DrawScaledEditorButton(surface.Get(), TRect{0, 0, 17, 20}, cxbkComboBtn, state,
                                    dxGetDefaultScaleFactor());
    EXPECT_EQ(surface.Pixel(8, 10), Rgb(color));
  }
}

TEST_F(SkinPainterTest, ColoursComeFromTheSkinOrFallBack)
{
  EXPECT_EQ(Painter->DefaultContentColor(), vcl::clNavy);
  EXPECT_EQ(Painter->DefaultControlColor(), vcl::clNavy);
  EXPECT_EQ(Painter->DefaultEditorBackgroundColorEx(esckNormal), vcl::clTeal);
  EXPECT_EQ(Painter->DefaultEditorBackgroundColorEx(esckReadOnly), vcl::clTeal)
      << "a read-only editor without its own colour looks normal";
  EXPECT_EQ(Painter->DefaultEditorBackgroundColorEx(esckDisabled),
            Office11Painter()->DefaultEditorBackgroundColorEx(esckDisabled));
  EXPECT_EQ(Painter->DefaultContentTextColor(), Office11Painter()->DefaultContentTextColor());
  EXPECT_EQ(Painter->ButtonSymbolColor(cxbsNormal), Painter->SkinInfo()->ButtonElements->GetTextColor(cxbsNormal));
}

TEST(SkinPainter, GroupBoxesAndGalleryItemsDrawFromTheSkin)
{
  rtl::TOwnedPtr<TdxSkinLookAndFeelPainter> painter = NewPainterWithoutPackage();
  TdxSkin* skin = rtl::New<TdxSkin>(rtl::String(L"Groups"), false, HINSTANCE(nullptr));
  TdxSkinControlGroup* common = skin->AddGroup(L"Common");
  TdxSkinElement* box = common->AddElement(L"GroupPanelTop");
  LoadSolidFrames(box, {esNormal}, 1, {Red});
  box->GetContentOffset()->SetRect(TRect{2, 6, 2, 2});
  LoadSolidFrames(common->AddElement(L"GroupPanelNoBorder"), {esNormal}, 1, {Green});
  LoadSolidFrames(skin->AddGroup(L"Editors")->AddElement(L"GalleryItem"),
                  {esNormal, esHot, esPressed, esDisabled, esChecked, esHotCheck}, 1,
                  {Red, Green, Blue, Black, Yellow, Cyan});
  painter->SkinInfo()->SetSkin(skin);

  // Without a top border the client reaches the box's top edge.
  for (const auto& [borders, top] :
       {std::pair{cxBordersAll, Rgb(Red)}, std::pair{TcxBorders{TcxBorder::bLeft, TcxBorder::bRight,
                                                               TcxBorder::bBottom}, Rgb(Green)}}) {
    TSkinPainterSurface surface(30, 30);
    painter->DrawGroupBoxContent(surface.Get(), TRect{0, 0, 30, 30}, TcxGroupBoxCaptionPosition::cxgpTop, borders);
    EXPECT_EQ(surface.Pixel(15, 3), top);
    EXPECT_EQ(surface.Pixel(15, 15), Rgb(Green));
    EXPECT_EQ(surface.Pixel(0, 15), Rgb(Red));
  }

  const struct {
    TdxGalleryItemViewState State;
    std::uint32_t Color;
  } cases[] = {{{true, false, false, false, false}, Red},  {{true, true, false, false, true}, Cyan},
               {{true, true, false, false, false}, Yellow}, {{true, false, true, true, false}, Blue},
               {{false, true, true, true, true}, Black}};
  for (const auto& c : cases) {
    TSkinPainterSurface surface(12, 12);
    painter->DrawGalleryItemSelection(surface.Get(), TRect{0, 0, 12, 12}, c.State);
    EXPECT_EQ(surface.Pixel(6, 6), Rgb(c.Color));
  }
}

// Grid elements: which element and image each draws, and what a layout
// item without borders leaves alone.
TEST(SkinPainter, GridElementsDrawTheirElementAndImage)
{
  rtl::TOwnedPtr<TdxSkinLookAndFeelPainter> painter = NewPainterWithoutPackage();
  TdxSkin* skin = rtl::New<TdxSkin>(rtl::String(L"Grid"), false, HINSTANCE(nullptr));
  TdxSkinControlGroup* common = skin->AddGroup(L"Common");
  TdxSkinControlGroup* grid = skin->AddGroup(L"Grid");
  LoadSolidFrames(common->AddElement(L"Header"), {esNormal, esHot}, 1, {Red, Yellow});
  LoadSolidFrames(common->AddElement(L"HeaderSpecial"), {esNormal}, 1, {Green});
  LoadSolidFrames(common->AddElement(L"SortShape"), {esNormal}, 4, {Red, Green, Blue, Black});
  LoadSolidFrames(grid->AddElement(L"LayoutViewItem"), {esNormal, esHot}, 1, {Blue, Cyan});
  LoadSolidFrames(grid->AddElement(L"LayoutViewRecordExpandButton"), {esNormal}, 2, {Magenta, White});
  LoadSolidFrames(grid->AddElement(L"GridFilterPanel"), {esNormal}, 1, {Cyan});
  painter->SkinInfo()->SetSkin(skin);
  const TdxScaleFactor* scale = dxGetDefaultScaleFactor();
  const TRect r{0, 0, 20, 20};

  using enum TcxButtonState;
  const struct {
    const char* What;
    std::function<void(TcxCanvas*)> Draw;
    std::uint32_t Centre;
  } cases[] = {
      {"header",
       [&](TcxCanvas* C) {
         painter->DrawScaledHeader(C, r, r, {}, cxBordersAll, cxbsNormal, rtl::TAlignment::taLeftJustify,
                                   TcxAlignmentVert::vaTop, false, false, rtl::String(), nullptr, vcl::clBlack,
                                   vcl::clWhite, scale);
       },
       Rgb(Red)},
      {"hot header",
       [&](TcxCanvas* C) {
         painter->DrawScaledHeader(C, r, r, {}, {}, cxbsHot, rtl::TAlignment::taLeftJustify, TcxAlignmentVert::vaTop,
                                   false, false, rtl::String(), nullptr, vcl::clBlack, vcl::clWhite, scale);
       },
       Rgb(Yellow)},
      {"group header, its background colour unused",
       [&](TcxCanvas* C) {
         painter->DrawScaledHeader(C, r, r, {}, cxBordersAll, cxbsNormal, rtl::TAlignment::taLeftJustify,
                                   TcxAlignmentVert::vaTop, false, false, rtl::String(L"x"), nullptr, vcl::clBlack,
                                   vcl::clWhite, scale, {}, false, true);
       },
       Rgb(Green)},
      {"ascending mark", [&](TcxCanvas* C) { painter->DrawScaledSortingMark(C, r, true, scale); }, Rgb(Green)},
      {"descending mark", [&](TcxCanvas* C) { painter->DrawScaledSortingMark(C, r, false, scale); }, Rgb(Red)},
      {"ascending summary mark", [&](TcxCanvas* C) { painter->DrawScaledSummarySortingMark(C, r, true, scale); },
       Rgb(Black)},
      {"normal layout item without borders",
       [&](TcxCanvas* C) { painter->LayoutViewDrawItem(C, r, cxbsNormal, {}); }, Rgb(kBackground)},
      {"normal layout item with borders",
       [&](TcxCanvas* C) { painter->LayoutViewDrawItem(C, r, cxbsNormal, cxBordersAll); }, Rgb(Blue)},
      {"hot layout item", [&](TcxCanvas* C) { painter->LayoutViewDrawItem(C, r, cxbsHot, {}); }, Rgb(Cyan)},
      {"expanded record",
       [&](TcxCanvas* C) { painter->LayoutViewDrawScaledRecordExpandButton(C, r, cxbsNormal, true, scale); },
       Rgb(Magenta)},
      {"collapsed record",
       [&](TcxCanvas* C) { painter->LayoutViewDrawScaledRecordExpandButton(C, r, cxbsNormal, false, scale); },
       Rgb(White)},
      {"filter panel", [&](TcxCanvas* C) { painter->DrawFilterPanel(C, r, false, vcl::clWhite, nullptr); },
       Rgb(Cyan)},
  };
  for (const auto& c : cases) {
    TSkinPainterSurface surface(20, 20);
    c.Draw(surface.Get());
    EXPECT_EQ(surface.Pixel(10, 10), c.Centre) << c.What;
  }
  // The neighbours' shared edges are drawn once.
  EXPECT_EQ(painter->HeaderBorders({TcxNeighbor::nLeft, TcxNeighbor::nTop}).Contains(TcxBorder::bLeft), false);
}

// The painter keeps the glyph palettes it hands out; they belong to the
// skin, so freeing the painter must let go of them first.
TEST(SkinPainter, FreesTheGlyphPalettesItHandedOutBeforeTheSkin)
{
  rtl::TOwnedPtr<TdxSkinLookAndFeelPainter> painter = NewPainterWithoutPackage();
  TdxSkin* skin = rtl::New<TdxSkin>(rtl::String(L"Palettes"), false, HINSTANCE(nullptr));
  LoadSolidFrames(skin->AddGroup(L"Common")->AddElement(L"Button"), {esNormal}, 1, {Red});
  auto* palettes = static_cast<TdxSkinColorPalettes*>(
      skin->AddProperty(L"DefaultGlyphColorPalettes", TdxSkinPropertyClass::Of<TdxSkinColorPalettes>()));
  palettes->Add(L"Normal")->Add(L"Black", vcl::clRed);
  painter->SkinInfo()->SetSkin(skin);

  EXPECT_NE(painter->ButtonColorPalette(TcxButtonState::cxbsNormal), nullptr);
  painter.reset();
}

TEST(SkinPainter, WithoutASkinItDrawsAsTheOfficeLikePainter)
{
  rtl::TOwnedPtr<TdxSkinLookAndFeelPainter> painter = NewPainterWithoutPackage();
  EXPECT_EQ(painter->SkinInfo()->GetSkinObject(), nullptr);
  EXPECT_EQ(painter->LookAndFeelStyle(), TcxLookAndFeelStyle::lfsSkin);
  for (const auto& draw : MainWindowDrawing())
    EXPECT_TRUE(DrawsTheSame(painter.get(), Office11Painter(), draw));
}

// The first use is inside a paint: a package that cannot be read is
// reported once and the painter carries on as the Office-like one.
TEST(SkinPainter, AMissingPackageIsReportedOnceAndFallsBack)
{
  TSkinPainterHandlerScope handler;
  rtl::TOwnedPtr<TdxSkinLookAndFeelPainter> painter(
      rtl::New<TdxSkinLookAndFeelPainter>(rtl::String(L"NoSuchSkin"), GetModuleHandleW(nullptr)));
  TdxSkinDetails* details = nullptr;
  EXPECT_FALSE(painter->GetPainterDetails(details));
  EXPECT_TRUE(handler.Messages().empty()) << "creating and asking for details load nothing";

  for (const auto& draw : MainWindowDrawing())
    EXPECT_TRUE(DrawsTheSame(painter.get(), Office11Painter(), draw));
  EXPECT_EQ(handler.Messages().size(), 1u);
  EXPECT_EQ(painter->LookAndFeelName(), L"NoSuchSkin");
}

TEST(SkinPainter, GreyScaleLightensByAlpha)
{
  rtl::TOwnedPtr<TcxBitmap32> bitmap(rtl::New<TcxBitmap32>());
  bitmap->CreateSize(2, 1);
  bitmap->SetBitmapColors({RGBQUAD{0, 0, 255, 255}, RGBQUAD{30, 60, 90, 0}});
  dxSkinsGrayScaleBitmap(bitmap.get());
  TRGBColors colors;
  bitmap->GetBitmapColors(colors);
  EXPECT_EQ(colors[0].rgbRed, 153);
  EXPECT_EQ(colors[0].rgbBlue, 153);
  EXPECT_EQ(colors[0].rgbReserved, 255);
  EXPECT_EQ(colors[1].rgbGreen, 36);
  EXPECT_EQ(colors[1].rgbReserved, 0);
}

TEST(SkinPainters, TheBuiltInSkinsAndTheUserSkinAreRegisteredByName)
{
  if (!dxGpIsAvailable())
    GTEST_SKIP() << "without the 2-D graphics library no skin painter registers";
  static const wchar_t* const names[] = {
      L"Black", L"Blue", L"Blueprint", L"Caramel", L"Coffee", L"Darkroom", L"DarkSide", L"TarnwickDarkStyle",
      L"TarnwickStyle", L"Foggy", L"GlassOceans", L"HighContrast", L"iMaginary", L"Lilian", L"LiquidSky",
      L"LondonLiquidSky", L"McSkin", L"Metropolis", L"MetropolisDark", L"MoneyTwins", L"Office2007Black",
      L"Office2007Blue", L"Office2007Green", L"Office2007Pink", L"Office2007Silver", L"Office2010Black",
      L"Office2010Blue", L"Office2010Silver", L"Office2013DarkGray", L"Office2013LightGray", L"Office2013White",
      L"Office2016Colorful", L"Office2016Dark", L"Office2019Colorful", L"Pumpkin", L"Seven", L"SevenClassic",
      L"Sharp", L"SharpPlus", L"Silver", L"Springtime", L"Stardust", L"Summer2008", L"TheAsphaltWorld",
      L"TheBezier", L"Valentine", L"VisualStudio2013Blue", L"VisualStudio2013Dark", L"VisualStudio2013Light",
      L"VS2010", L"Whiteprint", L"Xmas2008Blue"};
  ASSERT_EQ(std::size(SkinPainterTestUnits), 53u);
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  for (const wchar_t* name : names) {
    TcxCustomLookAndFeelPainter* painter = manager->GetPainter(rtl::String(name));
    ASSERT_NE(painter, nullptr) << rtl::String(name);
    EXPECT_EQ(painter->ClassName(), L"TdxSkin" + rtl::String(name) + L"Painter");
    EXPECT_EQ(painter->LookAndFeelStyle(), TcxLookAndFeelStyle::lfsSkin);
    EXPECT_FALSE(painter->IsInternalPainter());
  }
  TcxCustomLookAndFeelPainter* user = manager->GetPainter(rtl::String(L"UserSkin"));
  ASSERT_TRUE(rtl::Is<TdxSkinsUserSkinPainter>(user));
  EXPECT_TRUE(user->IsInternalPainter());
  EXPECT_EQ(static_cast<TdxSkinLookAndFeelPainter*>(user)->GetSkinResName(), L"DefaultUserSkinData");

  int skinPainters = 0;
  for (int i = 0; i < manager->GetCount(); ++i)
    skinPainters += manager->GetItem(i)->LookAndFeelStyle() == TcxLookAndFeelStyle::lfsSkin;
  EXPECT_EQ(skinPainters, 53);
  EXPECT_TRUE(rtl::Is<TdxSkinVisualStudio2013DarkPainter>(manager->GetPainter(rtl::String(L"VisualStudio2013Dark"))));
}

namespace {

// Frames of AFrame's size, one per colour: a dark one-pixel frame around a
// fill that lightens towards the bottom, stretched by nine parts.
void LoadFramedFaces(TdxSkinElement* AElement, TdxSkinElementStates AStates, int AImageCount, TSize AFrame,
                     const std::vector<std::uint32_t>& AFills)
{
  AElement->GetImage()->SetStates(AStates);
  AElement->GetImage()->SetImageCount(AImageCount);
  AElement->GetImage()->SetInterpolationMode(imNearestNeighbor);
  AElement->GetImage()->GetMargins()->SetAll(2);
  LoadTexture(AElement->GetImage(), AFrame.cx * static_cast<int>(AFills.size()), AFrame.cy, [&](int x, int y) {
    const int local = x % AFrame.cx;
    if (local == 0 || y == 0 || local == AFrame.cx - 1 || y == AFrame.cy - 1)
      return 0xFF303030u;
    const std::uint32_t fill = AFills[static_cast<std::size_t>(x / AFrame.cx)];
    return y >= AFrame.cy / 2 ? (fill | 0xFF202020u) : fill;
  });
}

}  // namespace

// Not a test: draws the skin painter's main-window elements from a skin made
// here, and the same elements without a skin, into SkinPainterSheet.png for
// people to look at. Run it on purpose:
//   skins_tests --gtest_also_run_disabled_tests --gtest_filter=*RenderSheet*
// It writes to the working directory or to the folder named by KV_RENDER_DIR.
TEST(SkinPainterRender, DISABLED_RenderSheet)
{
  rtl::TOwnedPtr<TdxSkinLookAndFeelPainter> skinned = NewPainterWithoutPackage();
  rtl::TOwnedPtr<TdxSkinLookAndFeelPainter> bare = NewPainterWithoutPackage();
  TdxSkin* skin = rtl::New<TdxSkin>(rtl::String(L"Sheet"), false, HINSTANCE(nullptr));
  TdxSkinControlGroup* common = skin->AddGroup(L"Common");
  TdxSkinControlGroup* editors = skin->AddGroup(L"Editors");
  const TdxSkinElementStates buttonStates{esNormal, esHot, esPressed, esDisabled, esActive};
  TdxSkinElement* button = common->AddElement(L"Button");
  LoadFramedFaces(button, buttonStates, 1, {12, 12}, {0xFF3C5A8C, 0xFF4A78B4, 0xFF28406A, 0xFF606060, 0xFF3C6EA0});
  button->SetTextColor(vcl::clWhite);
  LoadFramedFaces(editors->AddElement(L"Checkbox"), {esNormal, esHot}, 3, {13, 13},
                  {0xFFF0F0F0, 0xFFD8E8F8, 0xFF3C5A8C, 0xFF4A78B4, 0xFF909090, 0xFFA0A0B0});
  LoadFramedFaces(common->AddElement(L"ScrollButton"), {esNormal, esHot, esPressed}, 4, {12, 12},
                  {0xFFC8C8C8, 0xFFB0B0B0, 0xFF909090, 0xFFC8C8C8, 0xFFB0B0B0, 0xFF909090, 0xFFC8C8C8, 0xFFB0B0B0,
                   0xFF909090, 0xFFC8C8C8, 0xFFB0B0B0, 0xFF909090});
  LoadFramedFaces(common->AddElement(L"ScrollThumbVert"), {esNormal, esHot, esPressed}, 1, {12, 12},
                  {0xFF8898B0, 0xFF6878A0, 0xFF505C80});
  LoadFramedFaces(common->AddElement(L"ScrollContentVert"), {esNormal, esHot, esPressed}, 1, {12, 12},
                  {0xFFE8E8E8, 0xFFD0D0D0, 0xFFB8B8B8});
  LoadFramedFaces(editors->AddElement(L"EditorButton"), {esNormal, esHot, esPressed, esDisabled}, 1, {12, 12},
                  {0xFFE0E0E0, 0xFFC8D8F0, 0xFFA0B8E0, 0xFFF0F0F0});
  skin->AddColor(L"ContainerBorderColor", static_cast<vcl::TColor>(0x8C5A3C));
  skinned->SkinInfo()->SetSkin(skin);

  const TdxScaleFactor* f = dxGetDefaultScaleFactor();
  const rtl::TOwnedPtr<TcxBitmap> bitmap(rtl::NewWith<TcxBitmap>([](TcxBitmap* B) { B->CreateSize(600, 140); }));
  TcxCanvas* canvas = bitmap->GetcxCanvas();
  canvas->FillRect(bitmap->GetClientRect(), vcl::clWhite);
  int y = 8;
  for (TdxSkinLookAndFeelPainter* p : {skinned.get(), bare.get()}) {
    int x = 8;
    for (const TcxButtonState s : {cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled}) {
      p->DrawScaledButton(canvas, cxRectBounds(x, y, 64, 24), L"&Button", s, f);
      x += 70;
    }
    for (const TcxCheckBoxState c : {cbsUnchecked, cbsChecked, cbsGrayed}) {
      p->DrawScaledCheckButton(canvas, cxRectBounds(x, y + 5, 13, 13), cxbsNormal, c, f);
      x += 20;
    }
    const TRect scroll = cxRectBounds(x, y, 17, 60);
    p->DrawScaledScrollBarBackground(canvas, scroll, false, f);
    p->DrawScaledScrollBarPart(canvas, false, cxRectSetTopAndHeight(scroll, scroll.top, 17), sbpLineUp, cxbsNormal, f);
    p->DrawScaledScrollBarPart(canvas, false, cxRectBounds(x, y + 20, 17, 20), sbpThumbnail, cxbsHot, f);
    p->DrawScaledScrollBarPart(canvas, false, cxRectSetBottomAndHeight(scroll, scroll.bottom, 17), sbpLineDown,
                               cxbsPressed, f);
    x += 24;
    const TRect edit = cxRectBounds(x, y, 90, 22);
    canvas->FillRect(edit, vcl::clWindow);
    p->DrawBorder(canvas, edit);
    p->DrawScaledEditorButton(canvas, cxRectBounds(edit.right - 18, y + 1, 17, 20), cxbkEllipsisBtn, cxbsHot, f);
    p->DrawScaledEditorButtonGlyph(canvas, cxRectBounds(edit.right - 18, y + 1, 17, 20), cxbkEllipsisBtn, cxbsHot,
                                   f);
    y += 70;
  }

  const rtl::TOwnedPtr<TdxPNGImage> png(rtl::New<TdxPNGImage>());
  png->LoadFromBitmap(bitmap.get());
  const char* folder = std::getenv("KV_RENDER_DIR");
  const std::wstring path = (folder ? std::wstring(folder, folder + std::strlen(folder)) + L"\\" : std::wstring()) +
                            L"SkinPainterSheet.png";
  png->SaveToFile(path);
}

namespace {

constexpr std::uint32_t Transparent = 0x00000000;

// Four quadrants of one colour each, so that turns and mirrors show.
void LoadQuadrants(TdxSkinElement* AElement, std::uint32_t ATopLeft, std::uint32_t ATopRight,
                   std::uint32_t ABottomLeft, std::uint32_t ABottomRight)
{
  AElement->GetImage()->SetInterpolationMode(imNearestNeighbor);
  LoadTexture(AElement->GetImage(), 8, 8, [&](int x, int y) {
    return y < 4 ? (x < 4 ? ATopLeft : ATopRight) : (x < 4 ? ABottomLeft : ABottomRight);
  });
}

// Frames whose left half is the colour and whose right half is clear: a
// glyph over a body leaves the body visible on the right.
void LoadLeftHalfFrames(TdxSkinElement* AElement, TdxSkinElementStates AStates, int AImageCount,
                        const std::vector<std::uint32_t>& AColors)
{
  AElement->GetImage()->SetStates(AStates);
  AElement->GetImage()->SetImageCount(AImageCount);
  AElement->GetImage()->SetInterpolationMode(imNearestNeighbor);
  LoadTexture(AElement->GetImage(), 8 * static_cast<int>(AColors.size()), 8,
              [&](int x, int) { return x % 8 < 4 ? AColors[static_cast<std::size_t>(x / 8)] : Transparent; });
}

bool ChannelsNear(std::uint32_t A, std::uint32_t B, int ATolerance)
{
  for (int shift = 0; shift < 24; shift += 8)
    if (std::abs(static_cast<int>((A >> shift) & 0xFF) - static_cast<int>((B >> shift) & 0xFF)) > ATolerance)
      return false;
  return true;
}

struct TSkinPainterProbeCase {
  const char* What;
  std::function<void(TcxCanvas*)> Draw;
  TPoint At;
  std::uint32_t Expected;
};

void ExpectProbes(const std::vector<TSkinPainterProbeCase>& ACases, int ASize = 20)
{
  for (const auto& c : ACases) {
    TSkinPainterSurface surface(ASize, ASize);
    c.Draw(surface.Get());
    EXPECT_EQ(surface.Pixel(c.At.x, c.At.y), c.Expected) << c.What;
  }
}

}  // namespace

// The editors' elements: which image and state each draws, the states that
// draw nothing, the disabled navigator glyph made grey when the skin has no
// disabled picture, and the range track bar's thumbs turned for each layout.
TEST(SkinPainter, EditorElementsDrawTheImageAndStateOfTheirCase)
{
  using enum TdxRatingControlIndicatorState;
  using enum TcxTrackBarTicksAlign;
  rtl::TOwnedPtr<TdxSkinLookAndFeelPainter> painter = NewPainterWithoutPackage();
  TdxSkin* skin = rtl::New<TdxSkin>(rtl::String(L"Editors"), false, HINSTANCE(nullptr));
  TdxSkinControlGroup* common = skin->AddGroup(L"Common");
  TdxSkinControlGroup* editors = skin->AddGroup(L"Editors");
  // Frames follow the order of the states: normal, hot, active.
  LoadSolidFrames(editors->AddElement(L"RatingIndicator"), {esNormal, esActive, esHot}, 1, {Red, Green, Blue});
  LoadSolidFrames(common->AddElement(L"HighlightedItem"), {esNormal}, 2, {Red, Green});
  LoadSolidFrames(editors->AddElement(L"Navigator"), {esNormal}, 2, {Red, Green});
  LoadSolidFrames(editors->AddElement(L"NavigatorVert"), {esNormal}, 1, {Blue});
  LoadQuadrants(editors->AddElement(L"RangeTrackBarThumbLeft"), Red, Green, Blue, Black);
  painter->SkinInfo()->SetSkin(skin);
  const TdxScaleFactor* scale = dxGetDefaultScaleFactor();
  const TRect r{0, 0, 20, 20};
  const TRect thumb{0, 0, 8, 8};
  const auto leftThumb = [&](bool AHorizontal, TcxTrackBarTicksAlign ATicks) {
    return [&painter, &thumb, scale, AHorizontal, ATicks](TcxCanvas* C) {
      painter->DrawRangeTrackBarScaledLeftThumb(C, thumb, cxbsNormal, AHorizontal, ATicks, vcl::clDefault, scale);
    };
  };

  ExpectProbes({
      {"unchecked star", [&](TcxCanvas* C) { painter->DrawRatingControlScaledIndicator(C, r, rcisUnchecked, scale); },
       {10, 10}, Rgb(Red)},
      {"checked star", [&](TcxCanvas* C) { painter->DrawRatingControlScaledIndicator(C, r, rcisChecked, scale); },
       {10, 10}, Rgb(Blue)},
      {"hovered star", [&](TcxCanvas* C) { painter->DrawRatingControlScaledIndicator(C, r, rcisHover, scale); },
       {10, 10}, Rgb(Green)},
      {"token at rest", [&](TcxCanvas* C) { painter->DrawScaledTokenBackground(C, r, cxbsNormal, scale); }, {10, 10},
       kBackground},
      {"hot token", [&](TcxCanvas* C) { painter->DrawScaledTokenBackground(C, r, cxbsHot, scale); }, {10, 10},
       Rgb(Red)},
      {"pressed token", [&](TcxCanvas* C) { painter->DrawScaledTokenBackground(C, r, cxbsPressed, scale); }, {10, 10},
       Rgb(Green)},
      {"wheel item at rest", [&](TcxCanvas* C) { painter->DrawWheelPickerItem(C, r, cxbsNormal); }, {10, 10},
       kBackground},
      {"hot wheel item", [&](TcxCanvas* C) { painter->DrawWheelPickerItem(C, r, cxbsHot); }, {10, 10}, Rgb(Green)},
      {"pressed wheel item", [&](TcxCanvas* C) { painter->DrawWheelPickerItem(C, r, cxbsPressed); }, {10, 10},
       Rgb(Red)},
      {"navigator glyph",
       [&](TcxCanvas* C) { painter->DrawNavigatorScaledButtonGlyph(C, nullptr, 1, r, true, false, scale); },
       {10, 10}, Rgb(Green)},
      {"vertical navigator glyph",
       [&](TcxCanvas* C) { painter->DrawNavigatorScaledButtonGlyph(C, nullptr, 2, r, true, false, scale); },
       {10, 10}, Rgb(Blue)},
      {"disabled navigator glyph, grey",
       [&](TcxCanvas* C) { painter->DrawNavigatorScaledButtonGlyph(C, nullptr, 0, r, false, false, scale); },
       {10, 10}, 0x999999},
      {"horizontal thumb, ticks below", leftThumb(true, tbtaDown), {2, 2}, Rgb(Red)},
      {"horizontal thumb, ticks above: mirrored", leftThumb(true, tbtaUp), {2, 2}, Rgb(Blue)},
      {"vertical thumb, ticks above: turned right", leftThumb(false, tbtaUp), {2, 2}, Rgb(Blue)},
      {"vertical thumb, ticks above: turned right", leftThumb(false, tbtaUp), {6, 2}, Rgb(Red)},
      {"vertical thumb, ticks below: turned left, mirrored", leftThumb(false, tbtaDown), {2, 2}, Rgb(Red)},
      {"vertical thumb, ticks below: turned left, mirrored", leftThumb(false, tbtaDown), {6, 2}, Rgb(Blue)},
  });
  EXPECT_EQ(painter->BreadcrumbEditBordersColor(TdxBreadcrumbEditState::dxbcsHot), vcl::clDefault)
      << "a skin without breadcrumb colours leaves the borders to the Office-like look";
}

// A collapsible group's button turned for a caption on a side; row
// indicators by kind, the faded arrow of a multiple selection; the filter's
// smart tag by filter and state.
TEST(SkinPainter, GroupButtonsIndicatorsAndSmartTagsDrawTheirCase)
{
  using enum TcxIndicatorKind;
  using enum TcxFilterSmartTagState;
  rtl::TOwnedPtr<TdxSkinLookAndFeelPainter> painter = NewPainterWithoutPackage();
  TdxSkin* skin = rtl::New<TdxSkin>(rtl::String(L"Indicators"), false, HINSTANCE(nullptr));
  TdxSkinControlGroup* common = skin->AddGroup(L"Common");
  TdxSkinControlGroup* grid = skin->AddGroup(L"Grid");
  LoadQuadrants(common->AddElement(L"GroupButton"), Red, Red, Blue, Blue);
  LoadSolidFrames(common->AddElement(L"GroupButtonExpandGlyph"), {esNormal}, 2, {Transparent, Transparent});
  LoadSolidFrames(grid->AddElement(L"IndicatorImages"), {esNormal}, 11,
                  {Red, Green, Blue, Black, Black, Yellow, Black, Black, Cyan, Black, Black});
  // Frames in the order of the states: normal, hot, pressed, active, checked.
  LoadSolidFrames(grid->AddElement(L"SmartFilterButton"), {esNormal, esHot, esPressed, esChecked, esActive}, 1,
                  {Red, Green, Blue, Yellow, Cyan});
  painter->SkinInfo()->SetSkin(skin);
  const TdxScaleFactor* scale = dxGetDefaultScaleFactor();
  const TRect r{0, 0, 20, 20};
  const auto expandButton = [&](TcxRotationAngle AAngle) {
    return [&painter, &r, scale, AAngle](TcxCanvas* C) {
      painter->DrawGroupBoxScaledExpandButton(C, r, cxbsNormal, true, scale, AAngle);
    };
  };
  const auto indicator = [&](TcxIndicatorKind AKind) {
    return [&painter, &r, scale, AKind](TcxCanvas* C) { painter->DrawScaledIndicatorImage(C, r, AKind, scale); };
  };
  const auto smartTag = [&](TcxFilterSmartTagState AState, bool AActive) {
    return [&painter, &r, scale, AState, AActive](TcxCanvas* C) {
      painter->DrawScaledFilterSmartTag(C, r, AState, AActive, scale);
    };
  };

  ExpectProbes({
      {"upright button", expandButton(TcxRotationAngle::ra0), {10, 2}, Rgb(Red)},
      {"button turned a quarter left: its top on the left", expandButton(TcxRotationAngle::raPlus90), {2, 10},
       Rgb(Red)},
      {"button turned a quarter left", expandButton(TcxRotationAngle::raPlus90), {17, 10}, Rgb(Blue)},
      {"button upside down", expandButton(TcxRotationAngle::ra180), {10, 2}, Rgb(Blue)},
      {"no indicator", indicator(ikNone), {10, 10}, kBackground},
      {"arrow", indicator(ikArrow), {10, 10}, Rgb(Red)},
      {"edit", indicator(ikEdit), {10, 10}, Rgb(Green)},
      {"insert", indicator(ikInsert), {10, 10}, Rgb(Blue)},
      {"filter", indicator(ikFilter), {10, 10}, Rgb(Cyan)},
      {"in-place edit", indicator(ikInplaceEdit), {10, 10}, Rgb(Yellow)},
      {"smart tag at rest", smartTag(fstsNormal, false), {10, 10}, Rgb(Red)},
      {"smart tag, parent hot", smartTag(fstsParentHot, false), {10, 10}, Rgb(Red)},
      {"smart tag of an active filter", smartTag(fstsNormal, true), {10, 10}, Rgb(Cyan)},
      {"hot smart tag of an active filter", smartTag(fstsHot, true), {10, 10}, Rgb(Green)},
      {"active filter, parent hot", smartTag(fstsParentHot, true), {10, 10}, Rgb(Yellow)},
  });

  // The other rows of a multiple selection show the arrow at alpha 120.
  TSkinPainterSurface surface(20, 20);
  painter->DrawScaledIndicatorImage(surface.Get(), r, ikMultiDot, scale);
  EXPECT_TRUE(ChannelsNear(surface.Pixel(10, 10), 0x811B2D, 2)) << std::hex << surface.Pixel(10, 10);
}

// Alert-window buttons: the pinned pin is a checked button with its own
// glyph, a state the skin has no picture of leaves the body out but not the
// glyph, a custom button has no glyph; the caption's height comes from its
// glyph when it has no minimum height.
TEST(SkinPainter, AlertWindowsDrawTheirButtonsAndCaption)
{
  using enum TdxAlertWindowButtonKind;
  rtl::TOwnedPtr<TdxSkinLookAndFeelPainter> painter = NewPainterWithoutPackage();
  TdxSkin* skin = rtl::New<TdxSkin>(rtl::String(L"Alerts"), false, HINSTANCE(nullptr));
  TdxSkinControlGroup* common = skin->AddGroup(L"Common");
  LoadSolidFrames(common->AddElement(L"AlertWindowButton"), {esNormal, esChecked}, 1, {Red, Green});
  // Glyphs: six images, each normal and hot.
  LoadLeftHalfFrames(common->AddElement(L"AlertWindowButtonGlyphs"), {esNormal, esHot}, 6,
                     {Blue, Magenta, White, Black, Yellow, Black, Black, Black, Black, Black, Black, Black});
  LoadSolidFrames(common->AddElement(L"AlertWindow"), {esNormal}, 1, {Red});
  TdxSkinElement* caption = common->AddElement(L"AlertWindowCaption");
  LoadSolidFrames(caption, {esNormal}, 1, {Green});
  caption->GetGlyph()->SetInterpolationMode(imNearestNeighbor);
  LoadTexture(caption->GetGlyph(), 8, 4, [](int, int) { return Transparent; });
  caption->GetContentOffset()->SetRect({0, 1, 0, 1});
  painter->SkinInfo()->SetSkin(skin);
  const TdxScaleFactor* scale = dxGetDefaultScaleFactor();
  const TRect r{0, 0, 20, 20};
  const auto button = [&](TdxAlertWindowButtonKind AKind, TcxButtonState AState, bool ADown) {
    return [&painter, &r, scale, AKind, AState, ADown](TcxCanvas* C) {
      painter->DrawAlertWindowScaledButton(C, r, AState, AKind, scale, ADown);
    };
  };

  ExpectProbes({
      {"close: body", button(awbkClose, cxbsNormal, false), {15, 10}, Rgb(Red)},
      {"close: glyph 0", button(awbkClose, cxbsNormal, false), {4, 10}, Rgb(Blue)},
      {"pinned: checked body", button(awbkPin, cxbsNormal, true), {15, 10}, Rgb(Green)},
      {"pinned: glyph 2", button(awbkPin, cxbsNormal, true), {4, 10}, Rgb(Yellow)},
      {"unpinned: glyph 1", button(awbkPin, cxbsNormal, false), {4, 10}, Rgb(White)},
      {"hot close: no body the skin lacks", button(awbkClose, cxbsHot, false), {15, 10}, kBackground},
      {"hot close: its hot glyph", button(awbkClose, cxbsHot, false), {4, 10}, Rgb(Magenta)},
      {"custom: no glyph", button(awbkCustom, cxbsNormal, false), {4, 10}, Rgb(Red)},
      {"caption: glyph height and offsets",
       [&](TcxCanvas* C) { painter->DrawAlertWindowBackground(C, r, scale); }, {10, 5}, Rgb(Green)},
      {"window below the caption", [&](TcxCanvas* C) { painter->DrawAlertWindowBackground(C, r, scale); },
       {10, 6}, Rgb(Red)},
  });
}

// Calendar cells and headers, the date header's widening and the scheduler
// navigation button's metrics for both orientations.
TEST(SkinPainter, CalendarsAndSchedulerButtonsDrawTheirCase)
{
  using enum TcxCalendarElementState;
  rtl::TOwnedPtr<TdxSkinLookAndFeelPainter> painter = NewPainterWithoutPackage();
  TdxSkin* skin = rtl::New<TdxSkin>(rtl::String(L"Calendars"), false, HINSTANCE(nullptr));
  LoadSolidFrames(skin->AddGroup(L"Common")->AddElement(L"HighlightedItem"), {esNormal}, 2, {Red, Green});
  TdxSkinControlGroup* scheduler = skin->AddGroup(L"Scheduler");
  TdxSkinElement* body = scheduler->AddElement(L"NavButtonNext");
  body->GetContentOffset()->SetRect({1, 2, 3, 4});
  scheduler->AddElement(L"NavButtonNextArrow")->GetMinSize()->SetSize({5, 9});
  painter->SkinInfo()->SetSkin(skin);
  const TRect r{0, 0, 20, 20};
  const auto cell = [&](TcxCalendarElementStates AStates) {
    return [&painter, &r, AStates](TcxCanvas* C) { painter->DrawCalendarDateCellSelection(C, r, AStates); };
  };
  const auto header = [&](TcxCalendarElementStates AStates) {
    return [&painter, &r, AStates](TcxCanvas* C) { painter->DrawModernCalendarHeaderSelection(C, r, AStates); };
  };

  ExpectProbes({
      {"selected today: today's picture only", cell({cesSelected, cesMarked}), {10, 10}, Rgb(Green)},
      {"selected", cell({cesSelected}), {10, 10}, Rgb(Red)},
      {"hot: nothing", cell({cesHot}), {10, 10}, kBackground},
      {"focused header: nothing", header({cesFocused}), {10, 10}, kBackground},
      {"pressed header", header({cesPressed}), {10, 10}, Rgb(Red)},
  });
  EXPECT_EQ(painter->GetModernCalendarCellTextColor({cesSelected, cesMarked}),
            painter->DefaultDateNavigatorTextColor());
  EXPECT_EQ(painter->GetModernCalendarCellTextColor({cesDisabled, cesHot}),
            painter->DefaultDateNavigatorInactiveTextColor());

  TSkinPainterSurface surface(20, 20);
  TRect dateHeader{5, 5, 15, 15};
  painter->DrawDateNavigatorDateHeader(surface.Get(), dateHeader);
  EXPECT_EQ(dateHeader, (TRect{4, 5, 16, 15}));

  rtl::TOwnedPtr<TdxScaleFactor> doubled(rtl::New<TdxScaleFactor>());
  doubled->Assign(2, 1, false);
  const struct {
    bool Vertical;
    TRect Borders;
    TSize Arrow;
  } sizes[] = {{true, {1, 2, 3, 4}, {10, 18}}, {false, {2, 1, 4, 3}, {18, 10}}};
  for (const auto& c : sizes) {
    TRect borders{};
    TSize arrow{};
    bool hasTextArea = true;
    painter->SchedulerNavigationButtonSizes(true, borders, arrow, hasTextArea, doubled.get(), c.Vertical);
    EXPECT_EQ(borders, c.Borders) << c.Vertical;
    EXPECT_EQ(arrow, c.Arrow) << c.Vertical;
    EXPECT_FALSE(hasTextArea) << "a body without picture or colour has no text area";
  }
}

// A painter whose skin could not be loaded answers the map control's
// values as the Office-like painter does, not the empty ones.
TEST(SkinPainter, WithoutASkinTheMapControlTakesTheOfficeLikeValues)
{
  rtl::TOwnedPtr<TdxSkinLookAndFeelPainter> painter = NewPainterWithoutPackage();
  TcxCustomLookAndFeelPainter* office = Office11Painter();
  EXPECT_EQ(painter->MapControlBackgroundColor(), office->MapControlBackgroundColor());
  EXPECT_EQ(painter->MapControlShapeColor(), office->MapControlShapeColor());
  EXPECT_EQ(painter->MapControlShapeBorderWidth(dxGetDefaultScaleFactor()),
            office->MapControlShapeBorderWidth(dxGetDefaultScaleFactor()));
  EXPECT_EQ(painter->MapControlPanelTextColor(), office->MapControlPanelTextColor());
}
