#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/cxGraphicsColors.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "graphics/dxOffice11.h"
#include "pagecontrol/cxPC.h"
#include "pagecontrol/cxPCPainters.h"
#include "pagecontrol/cxPCPaintersFactory.h"
#include "tests/pagecontrol/PageControlTestSupport.h"

namespace {

using P = TPoint;
using LP = TLinePosition;
using Positions = TcxTabSlantPositions;
constexpr auto skSlant = TcxTabSlantKind::skSlant;
constexpr auto skCutCorner = TcxTabSlantKind::skCutCorner;
constexpr auto spLeft = TcxTabSlantPosition::spLeft;
constexpr auto spRight = TcxTabSlantPosition::spRight;

std::string Describe(const std::vector<TPoint>& APoints)
{
  std::string result;
  for (const TPoint& point : APoints)
    result += "(" + std::to_string(point.x) + "," + std::to_string(point.y) + ")";
  return result;
}

TEST(cxPCSlantedPainter, OutlineEndsByKindAndPositions)
{
  struct {
    const char* Name;
    TcxTabSlantKind Kind;
    Positions Positions;
    bool Rotated;
    std::vector<TPoint> Points;
    std::vector<LP> Lines;
  } const cases[] = {
      {"slanted both ends", skSlant, {spLeft, spRight}, false,
       {P{10, 19}, P{29, 0}, P{40, 0}, P{59, 19}}, {LP::lpLT, LP::lpT, LP::lpRT}},
      {"rotated tabs never slant", skSlant, {spLeft, spRight}, true,
       {P{10, 19}, P{10, 2}, P{12, 0}, P{57, 0}, P{59, 2}, P{59, 19}},
       {LP::lpL, LP::lpLT, LP::lpT, LP::lpRT, LP::lpR}},
      {"cut right end, straight left end", skCutCorner, {spRight}, false,
       {P{10, 19}, P{10, 0}, P{53, 0}, P{59, 6}, P{59, 19}}, {LP::lpL, LP::lpT, LP::lpRT, LP::lpR}},
      {"cut left end, straight right end", skCutCorner, {spLeft}, false,
       {P{10, 19}, P{10, 6}, P{16, 0}, P{59, 0}, P{59, 19}}, {LP::lpL, LP::lpLT, LP::lpT, LP::lpR}},
      {"no positions: clipped corners", skCutCorner, {}, false,
       {P{10, 19}, P{10, 2}, P{12, 0}, P{57, 0}, P{59, 2}, P{59, 19}},
       {LP::lpL, LP::lpLT, LP::lpT, LP::lpRT, LP::lpR}},
  };
  for (const auto& c : cases) {
    const TcxPCTabOutline outline = cxPCSlantedTabOutline(10, 20, 50, 20, c.Kind, c.Positions, c.Rotated);
    EXPECT_EQ(Describe(outline.Points), Describe(c.Points)) << c.Name;
    EXPECT_EQ(outline.Lines, c.Lines) << c.Name;
  }
}

TEST(cxPCSlantedPainter, FigureRegionPoints)
{
  // The outline pixels stay out of the face's clip and come into the
  // tab's region, whatever side the tabs lie on.
  struct {
    const char* Name;
    TcxTabSlantKind Kind;
    Positions Positions;
    TRect R;
    TcxTabPosition Position;
    bool IncludeOutline;
    std::vector<TPoint> Points;
  } const cases[] = {
      {"slanted, top, outline in", skSlant, {spLeft, spRight}, {10, 0, 60, 20}, TcxTabPosition::tpTop, true,
       {P{10, 19}, P{29, 0}, P{41, 0}, P{61, 20}}},
      {"slanted, top, outline out", skSlant, {spLeft, spRight}, {10, 0, 60, 20}, TcxTabPosition::tpTop, false,
       {P{11, 19}, P{29, 1}, P{41, 1}, P{60, 20}}},
      {"clipped, top, outline in", skCutCorner, {}, {0, 0, 40, 18}, TcxTabPosition::tpTop, true,
       {P{0, 17}, P{0, 2}, P{2, 0}, P{38, 0}, P{40, 2}, P{40, 18}}},
      {"clipped, top, outline out", skCutCorner, {}, {0, 0, 40, 18}, TcxTabPosition::tpTop, false,
       {P{1, 17}, P{1, 2}, P{2, 1}, P{38, 1}, P{39, 2}, P{39, 18}}},
      {"clipped, bottom, outline in", skCutCorner, {}, {0, 100, 40, 118}, TcxTabPosition::tpBottom, true,
       {P{40, 100}, P{40, 115}, P{37, 118}, P{3, 118}, P{0, 115}, P{0, 99}}},
      {"cut corners, left, outline in", skCutCorner, {spLeft, spRight}, {0, 0, 20, 50}, TcxTabPosition::tpLeft,
       true, {P{19, 50}, P{7, 50}, P{0, 43}, P{0, 6}, P{6, 0}, P{20, 0}}},
      {"cut corners, left, outline out", skCutCorner, {spLeft, spRight}, {0, 0, 20, 50}, TcxTabPosition::tpLeft,
       false, {P{19, 49}, P{7, 49}, P{1, 43}, P{1, 6}, P{6, 1}, P{20, 1}}},
  };
  for (const auto& c : cases) {
    const TRect& R = c.R;
    const bool vertical = c.Position == TcxTabPosition::tpLeft || c.Position == TcxTabPosition::tpRight;
    const TcxPCTabOutline outline =
        cxPCSlantedTabOutline(R.left, R.bottom, vertical ? R.bottom - R.top : R.right - R.left,
                              vertical ? R.right - R.left : R.bottom - R.top, c.Kind, c.Positions, false);
    EXPECT_EQ(Describe(cxPCFigureRegionPoints(outline, R, c.Position, c.IncludeOutline)), Describe(c.Points))
        << c.Name;
  }
}

// A control of 300 x 120 with the tabs "Model", "CRUD" and "Fields" drawn by
// the painter class into a 24-bit bitmap.
struct TSlantedPainted {
  pctest::TPCControlPtr Control = pctest::NewControl(300, 120);
  rtl::TOwnedPtr<TcxBitmap> Bitmap{rtl::NewWith<TcxBitmap>([](TcxBitmap* B) {
    B->CreateSize(300, 120, vcl::TPixelFormat::pf24bit);
  })};

  explicit TSlantedPainted(TcxPCPainterClass APainterClass, TcxTabSlantKind AKind = skSlant,
                           Positions APositions = {spLeft, spRight})
  {
    Control->SetPainterClass(APainterClass);
    TcxCustomTabControlProperties* properties = Control->GetProperties();
    properties->GetTabSlants()->SetKind(AKind);
    properties->GetTabSlants()->SetPositions(APositions);
    for (const wchar_t* caption : {L"Model", L"CRUD", L"Fields"})
      properties->GetTabs()->Add(caption);
    Paint();
  }
  TcxCustomTabControlViewInfo* ViewInfo() { return Control->GetViewInfo(); }
  TRect Full(int AIndex) { return ViewInfo()->GetTabViewInfo(AIndex)->GetFullRect(); }
  void Paint()
  {
    ViewInfo()->Calculate();
    Draw();
  }
  // Draws the current layout as it stands: a calculation takes the hot tab
  // from the mouse, which a test that sets it by hand must not lose.
  void Draw()
  {
    Bitmap->GetcxCanvas()->FillRect(Bitmap->GetClientRect(), vcl::clFuchsia);
    Control->GetPCPainter()->Paint(Bitmap->GetcxCanvas());
  }
  vcl::TColor Pixel(int X, int Y) { return GetPixel(Bitmap->GetcxCanvas()->GetHandle(), X, Y); }
  void Save(const wchar_t* AName)
  {
    const char* folder = std::getenv("KV_RENDER_DIR");
    if (!folder)
      return;
    const rtl::TOwnedPtr<TdxPNGImage> png(rtl::New<TdxPNGImage>());
    png->LoadFromBitmap(Bitmap.get());
    png->SaveToFile(std::wstring(folder, folder + std::strlen(folder)) + L"\\" + AName);
  }
};

vcl::TColor SlantedRgb(vcl::TColor AColor)
{
  return vcl::ColorToRGB(AColor);
}

TEST(cxPCSlantedPainter, SlantedTabsOverlapAndTheSelectedOneLiesOnTop)
{
  TSlantedPainted painted(TcxPCPainterClass::Of<TcxPCSlantedPainter>());
  painted.Save(L"SlantedPainter.png");
  auto* painter = static_cast<TcxPCSlantedPainter*>(painted.Control->GetPCPainter());
  const TRect main = painted.Full(0);
  const TRect next = painted.Full(1);
  const int H = main.bottom - main.top;
  EXPECT_EQ(painter->GetCutValue(), H - 1);
  // Neighbours overlap by two half cuts.
  EXPECT_EQ(main.right - next.left, 2 * ((H - 1) / 2));

  struct {
    const char* Name;
    int X, Y;
    vcl::TColor Color;
  } const cases[] = {
      {"main tab's left slant", main.left + 1, main.bottom - 2, vcl::clBtnShadow},
      {"main tab's highlight strip", (main.left + main.right) / 2, main.top + 1, vcl::clHighlight},
      {"main tab's face is flat", (main.left + main.right) / 2, main.bottom - 3, vcl::clBtnFace},
      {"main tab opens into the page", (main.left + main.right) / 2, main.bottom, vcl::clBtnFace},
      {"row line under the next tab", (next.left + next.right) / 2, next.bottom, vcl::clBtnShadow},
      {"main tab's right slant over the next tab", main.right - 3, main.bottom - 3, vcl::clBtnShadow},
      {"page", 150, 90, vcl::clBtnFace},
  };
  for (const auto& c : cases)
    EXPECT_EQ(painted.Pixel(c.X, c.Y), SlantedRgb(c.Color)) << c.Name;
  // The next tab is shaded lighter at its outer edge than at the page.
  const int x = (next.left + next.right) / 2;
  EXPECT_NE(painted.Pixel(x, next.top + 2), painted.Pixel(x, next.bottom - 2));

  // Where the two overlap the selected tab is hit, beside it the next one.
  EXPECT_EQ(painted.ViewInfo()->VisibleIndexOfTabAt(main.right - 6, main.bottom - 2), 0);
  EXPECT_EQ(painted.ViewInfo()->VisibleIndexOfTabAt(main.right, main.top + 2), 1);
}

TEST(cxPCSlantedPainter, CutCornersAndClippedCornersDoNotOverlap)
{
  struct {
    const char* Name;
    Positions Positions;
    int LeftInset;   // the first outline pixel on the tab's top row from its left
    int RightInset;  // the same from its right
  } const cases[] = {
      {"cut right end only", {spRight}, 0, 6},
      {"no positions", {}, 2, 2},
  };
  for (const auto& c : cases) {
    TSlantedPainted painted(TcxPCPainterClass::Of<TcxPCSlantedPainter>(), skCutCorner, c.Positions);
    const TRect second = painted.Full(1);
    const TRect third = painted.Full(2);
    EXPECT_EQ(third.left - second.right, 1) << c.Name;
    // The top edge runs from inset to inset; the corner before it is left
    // to the background.
    EXPECT_EQ(painted.Pixel(second.left + c.LeftInset, second.top), SlantedRgb(vcl::clBtnShadow)) << c.Name;
    EXPECT_EQ(painted.Pixel(second.right - 1 - c.RightInset, second.top), SlantedRgb(vcl::clBtnShadow)) << c.Name;
    if (c.RightInset > 0) {
      EXPECT_NE(painted.Pixel(second.right - 1, second.top), SlantedRgb(vcl::clBtnShadow)) << c.Name;
    }
  }
}

TEST(cxPCSlantedPainter, HotTabShowsTheHighlightStripAndALighterGradient)
{
  TSlantedPainted painted(TcxPCPainterClass::Of<TcxPCSlantedPainter>());
  const TRect next = painted.Full(1);
  const int x = (next.left + next.right) / 2;
  const vcl::TColor before = painted.Pixel(x, next.top + 5);
  painted.ViewInfo()->SetHotTrackTabVisibleIndex(1);
  painted.Draw();
  painted.Save(L"SlantedPainterHot.png");
  EXPECT_EQ(painted.Pixel(x, next.top + 1), SlantedRgb(vcl::clHighlight));
  const TdxHSV hsvBefore = cxColorToHSV(before);
  const TdxHSV hsvAfter = cxColorToHSV(painted.Pixel(x, next.top + 5));
  EXPECT_GE(hsvAfter.V, hsvBefore.V);
}

TEST(cxPCSlantedPainter, RotatedTabsNeverSlant)
{
  TSlantedPainted painted(TcxPCPainterClass::Of<TcxPCSlantedPainter>());
  painted.Control->GetProperties()->SetTabPosition(TcxTabPosition::tpLeft);
  painted.Control->GetProperties()->SetRotate(true);
  painted.Paint();
  painted.Save(L"SlantedPainterRotated.png");
  ASSERT_TRUE(painted.ViewInfo()->ActuallyRotate());
  // Rotated tabs keep their row distance of 1 and no cut of the row height.
  EXPECT_EQ(painted.Control->GetPCPainter()->GetTabsDistance().cy, 1);
  EXPECT_EQ(painted.Full(1).top - painted.Full(0).bottom, 1);
}

TEST(cxPCOneNotePainter, PaletteFollowsTheOfficeScheme)
{
  struct {
    int Scheme;
    vcl::TColor Main, Other, Hot, Inner;
  } const cases[] = {
      {0, vcl::clBtnShadow, vcl::clBtnShadow, static_cast<vcl::TColor>(0x6A240A), vcl::clBtnFace},
      {1, static_cast<vcl::TColor>(0x9C613B), static_cast<vcl::TColor>(0x9A3500), static_cast<vcl::TColor>(0x800000),
       static_cast<vcl::TColor>(0xF1A675)},
      {2, static_cast<vcl::TColor>(0x588060), static_cast<vcl::TColor>(0x6B7760), static_cast<vcl::TColor>(0x385D3F),
       static_cast<vcl::TColor>(0x8CC2B0)},
      {3, static_cast<vcl::TColor>(0x947C7C), static_cast<vcl::TColor>(0x927476), static_cast<vcl::TColor>(0x6F4B4B),
       static_cast<vcl::TColor>(0xCEB9BA)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(cxPCOneNoteSchemeColor(c.Scheme, 0), c.Main) << c.Scheme;
    EXPECT_EQ(cxPCOneNoteSchemeColor(c.Scheme, 1), c.Other) << c.Scheme;
    EXPECT_EQ(cxPCOneNoteSchemeColor(c.Scheme, 3), c.Hot) << c.Scheme;
    EXPECT_EQ(cxPCOneNoteSchemeColor(c.Scheme, 5), c.Inner) << c.Scheme;
  }
  EXPECT_EQ(cxPCOneNoteSchemeColor(4, 0), vcl::clNone);
  // The painters' start-up computed the palette of the current scheme.
  EXPECT_EQ(cxPCOneNotePaletteColor(0), cxPCOneNoteSchemeColor(dxOffice11CurrentScheme(), 0));
}

TEST(cxPCOneNotePainter, NotebookTabsOverlapTheirRightNeighbour)
{
  TSlantedPainted painted(TcxPCPainterClass::Of<TcxPCOneNotePainter>());
  painted.Save(L"OneNotePainter.png");
  const TRect main = painted.Full(0);
  const TRect next = painted.Full(1);
  const int H = main.bottom - main.top;
  // The cut is the row height plus 2; tabs overlap by the cut less 5.
  EXPECT_EQ(main.right - next.left, H + 2 - 5);
  const vcl::TColor mainOutline = SlantedRgb(cxPCOneNotePaletteColor(0));
  const vcl::TColor otherOutline = SlantedRgb(cxPCOneNotePaletteColor(1));
  struct {
    const char* Name;
    int X, Y;
    vcl::TColor Color;
  } const cases[] = {
      {"main tab's top edge", (main.left + main.right) / 2, main.top, mainOutline},
      {"main tab's right edge", main.right - 1, main.bottom - 3, mainOutline},
      {"main tab's slant", main.left + 5, main.bottom - 5, mainOutline},
      {"next tab's top edge", next.right - 10, next.top, otherOutline},
      {"main tab opens into the page", (main.left + main.right) / 2, main.bottom, SlantedRgb(vcl::clBtnFace)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(painted.Pixel(c.X, c.Y), c.Color) << c.Name;
}

TEST(cxPCOneNotePainter, RotateHasNoEffect)
{
  TSlantedPainted painted(TcxPCPainterClass::Of<TcxPCOneNotePainter>());
  painted.Control->GetProperties()->SetTabPosition(TcxTabPosition::tpLeft);
  painted.Control->GetProperties()->SetRotate(true);
  painted.Paint();
  painted.Save(L"OneNotePainterLeft.png");
  EXPECT_FALSE(painted.ViewInfo()->ActuallyRotate());
}

TEST(cxPCSlantedPainters, RegisteredAfterTheClassicStyles)
{
  struct {
    const wchar_t* Name;
    TcxPCStyleID ID;
    TcxPCPainterClass Class;
  } const cases[] = {
      {L"slanted", 9, TcxPCPainterClass::Of<TcxPCSlantedPainter>()},
      {L"ONENOTE", 10, TcxPCPainterClass::Of<TcxPCOneNotePainter>()},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PaintersFactory()->GetPainterClass(c.ID), c.Class) << c.ID;
    EXPECT_EQ(PaintersFactory()->GetPainterClass(rtl::String(c.Name)), c.Class) << c.ID;
  }
}

}  // namespace
