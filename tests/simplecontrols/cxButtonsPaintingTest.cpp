// The button's layout, colours, glyph and painting, without a window: the
// view info is calculated and drawn for a rectangle of a memory bitmap.
// The disabled RenderSheet case draws the kinds and states in several
// looks and skins into ButtonsSheet.png for people to look at:
//   simplecontrols_tests --gtest_also_run_disabled_tests --gtest_filter=*RenderSheet*
// (to the working directory, or to the folder named by KV_RENDER_DIR).
#include "simplecontrols/cxButtons.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "core/cxGeometry.h"
#include "graphics/dxFading.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "platform/vcl/GraphicsHandles.h"
#include "skins/dxSkinVisualStudio2013Dark.h"

namespace {

// The skins the tests draw with are linked and start with the program.
[[gnu::used]] constinit const rtl::UnitInfo* const ButtonsTestSkinUnits[] = {&unit_dxSkinVisualStudio2013Dark};

// Draws itself in a chosen state without a window.
class TButtonsPaintTestButton : public TcxButton {
  RTL_CLASS(TButtonsPaintTestButton, TcxButton)

 public:
  using TcxCustomButton::CheckStartFading;

  void PutInState(TcxButtonState AState)
  {
    SetEnabled(AState != TcxButtonState::cxbsDisabled);
    FIsPaintPressed = AState == TcxButtonState::cxbsPressed;
    FIsPaintDefault = AState == TcxButtonState::cxbsDefault;
    AState == TcxButtonState::cxbsHot ? IncludeInternalState(TcxButtonInternalState::bisHot)
                                      : ExcludeInternalState(TcxButtonInternalState::bisHot);
  }
  void NoCustomDraw(TcxCustomButton*, TcxCanvas*, TcxButtonViewInfo*, bool&) {}
  TcxButtonViewInfo* Calculate(TcxButtonState AState)
  {
    PutInState(AState);
    GetViewInfo()->Calculate({0, 0, GetWidth(), GetHeight()});
    return GetViewInfo();
  }
};

// A 24-bit bitmap with its canvas wrapper.
struct TButtonsTestSurface {
  TButtonsTestSurface(int AWidth, int AHeight) : Bitmap(rtl::New<TcxBitmap>())
  {
    Bitmap->CreateSize(AWidth, AHeight);
    Bitmap->GetcxCanvas()->FillRect(Bitmap->GetClientRect(), vcl::clFuchsia);
  }
  TcxCanvas* Canvas() { return Bitmap->GetcxCanvas(); }
  COLORREF Pixel(int X, int Y) { return GetPixel(Bitmap->GetCanvas()->GetHandle(), X, Y); }
  rtl::TOwnedPtr<TcxBitmap> Bitmap;
};

class cxButtonsPaintingTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    FButton.reset(rtl::New<TButtonsPaintTestButton>(nullptr));
    FButton->SetBounds(0, 0, 100, 30);
    FButton->GetFont()->SetName(L"Tahoma");
    FButton->GetFont()->SetHeight(-11);
    FButton->GetLookAndFeel()->SetKind(TcxLookAndFeelKind::lfStandard);
    FButton->GetLookAndFeel()->SetNativeStyle(false);
  }

  // A picture of AWidth x AHeight: a navy square on white, the white being
  // the key colour a bitmap glyph leaves transparent.
  static rtl::TOwnedPtr<TdxSmartGlyph> NewGlyph(int AWidth, int AHeight)
  {
    rtl::TOwnedPtr<TdxSmartGlyph> glyph(rtl::New<TdxSmartGlyph>());
    const rtl::TOwnedPtr<vcl::TBitmap> bitmap(rtl::New<vcl::TBitmap>());
    bitmap->SetPixelFormat(vcl::TPixelFormat::pf24bit);
    bitmap->SetSize(AWidth, AHeight);
    bitmap->GetCanvas()->GetBrush()->SetColor(vcl::clWhite);
    bitmap->GetCanvas()->FillRect({0, 0, AWidth, AHeight});
    bitmap->GetCanvas()->GetBrush()->SetColor(vcl::clNavy);
    bitmap->GetCanvas()->FillRect({2, 2, AWidth - 2, AHeight - 2});
    glyph->Assign(bitmap.get());
    return glyph;
  }

  // The caption's size as the layout measures it.
  TSize CaptionSize()
  {
    TRect bounds{0, 0, 1000, 0};
    vcl::TScreenDC dc;
    vcl::TSelectObjectGuard font(dc.Get(), FButton->GetFont()->GetHandle());
    const rtl::String text = FButton->GetText();
    DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &bounds, DT_CALCRECT);
    return {bounds.right, bounds.bottom};
  }

  rtl::TOwnedPtr<TButtonsPaintTestButton> FButton;
};

// The main window's buttons: no glyph, so the text area is the caption plus
// three pixels, centred across and at (height - text height - 1) div 2.
TEST_F(cxButtonsPaintingTest, CaptionWithoutGlyphIsCentred)
{
  FButton->SetText(L"Generate");
  TcxButtonViewInfo* info = FButton->Calculate(TcxButtonState::cxbsNormal);
  const TRect content = info->GetContentRect(TcxButtonState::cxbsDefault);
  const TSize text = CaptionSize();
  const TRect caption = info->GetCaptionRect();
  EXPECT_EQ(caption.right - caption.left, text.cx);
  EXPECT_EQ(caption.bottom - caption.top, text.cy);
  EXPECT_EQ(caption.left, content.left + (content.right - content.left - (text.cx + 3)) / 2 + 1);
  EXPECT_EQ(caption.top, content.top + (content.bottom - content.top - text.cy - 1) / 2);
  EXPECT_TRUE(IsRectEmpty(&info->GetDropDownArrowRect()));
}

// Automatic margin and spacing split the room in three around glyph and
// text, on the side the layout names.
TEST_F(cxButtonsPaintingTest, GlyphLayoutsWithAutomaticMarginAndSpacing)
{
  struct TCase {
    vcl::TButtonLayout Layout;
    bool Horizontal;
  };
  const TCase cases[] = {{vcl::TButtonLayout::blGlyphLeft, true},
                         {vcl::TButtonLayout::blGlyphRight, true},
                         {vcl::TButtonLayout::blGlyphTop, false},
                         {vcl::TButtonLayout::blGlyphBottom, false}};
  FButton->SetBounds(0, 0, 104, 64);
  FButton->SetText(L"Save");
  const auto glyph = NewGlyph(16, 16);
  FButton->SetGlyph(glyph.get());
  FButton->SetMargin(-1);
  FButton->SetSpacing(-1);
  const TSize text = CaptionSize();
  for (const TCase& row : cases) {
    SCOPED_TRACE(static_cast<int>(row.Layout));
    FButton->SetLayout(row.Layout);
    TcxButtonViewInfo* info = FButton->Calculate(TcxButtonState::cxbsNormal);
    const TRect c = info->GetContentRect(TcxButtonState::cxbsDefault);
    const TPoint g = info->GetGlyphPos();
    const TRect t = info->GetCaptionRect();
    const int room = row.Horizontal ? c.right - c.left : c.bottom - c.top;
    const int third = (room - 16 - (row.Horizontal ? text.cx : text.cy)) / 3;
    switch (row.Layout) {
      case vcl::TButtonLayout::blGlyphLeft:
        EXPECT_EQ(g.x, c.left + third);
        EXPECT_EQ(t.left, g.x + 16 + third);
        break;
      case vcl::TButtonLayout::blGlyphRight:
        EXPECT_EQ(g.x + 16, c.right - third);
        EXPECT_EQ(t.right, g.x - third);
        break;
      case vcl::TButtonLayout::blGlyphTop:
        EXPECT_EQ(g.y, c.top + third);
        EXPECT_EQ(t.top, g.y + 16 + third);
        break;
      case vcl::TButtonLayout::blGlyphBottom:
        EXPECT_EQ(g.y + 16, c.bottom - third);
        EXPECT_EQ(t.bottom, g.y - third);
        break;
    }
    if (row.Horizontal)
      EXPECT_EQ(g.y, c.top + (c.bottom - c.top - 16) / 2);
    else
      EXPECT_EQ(g.x, c.left + (c.right - c.left - 16) / 2);
  }
}

// A fixed spacing leaves the margin half of the rest; a fixed margin
// leaves the spacing half of the rest.
TEST_F(cxButtonsPaintingTest, FixedMarginOrSpacing)
{
  FButton->SetBounds(0, 0, 124, 30);
  FButton->SetText(L"Save");
  const auto glyph = NewGlyph(16, 16);
  FButton->SetGlyph(glyph.get());
  const TSize text = CaptionSize();
  struct TCase {
    int Margin, Spacing;
  };
  for (const TCase row : {TCase{-1, 4}, TCase{5, -1}, TCase{3, 6}}) {
    FButton->SetMargin(row.Margin);
    FButton->SetSpacing(row.Spacing);
    TcxButtonViewInfo* info = FButton->Calculate(TcxButtonState::cxbsNormal);
    const TRect c = info->GetContentRect(TcxButtonState::cxbsDefault);
    const int rest = c.right - c.left - 16 - text.cx;
    const int margin = row.Margin == -1 ? (rest - row.Spacing) / 2 : row.Margin;
    const int spacing = row.Spacing == -1 ? (rest - row.Margin) / 2 : row.Spacing;
    EXPECT_EQ(info->GetGlyphPos().x, c.left + margin) << row.Margin << "," << row.Spacing;
    EXPECT_EQ(info->GetCaptionRect().left, c.left + margin + 16 + spacing) << row.Margin << "," << row.Spacing;
  }
}

TEST_F(cxButtonsPaintingTest, PressedContentMovesByTheTextShiftExceptOnCommandLinks)
{
  FButton->SetText(L"Save");
  const auto glyph = NewGlyph(16, 16);
  FButton->SetGlyph(glyph.get());
  const int shift = FButton->GetLookAndFeelPainter()->ScaledButtonTextShift(FButton->GetScaleFactor());
  ASSERT_GT(shift, 0);
  for (const TcxButtonKind kind : {TcxButtonKind::cxbkStandard, TcxButtonKind::cxbkCommandLink}) {
    FButton->SetKind(kind);
    TcxButtonViewInfo* info = FButton->Calculate(TcxButtonState::cxbsNormal);
    const TPoint glyphPos = info->GetGlyphPos();
    const TRect caption = info->GetCaptionRect();
    info = FButton->Calculate(TcxButtonState::cxbsPressed);
    const int expected = kind == TcxButtonKind::cxbkStandard ? shift : 0;
    EXPECT_EQ(info->GetGlyphPos().x - glyphPos.x, expected);
    EXPECT_EQ(info->GetGlyphPos().y - glyphPos.y, expected);
    EXPECT_EQ(info->GetCaptionRect().left - caption.left, expected);
    EXPECT_EQ(info->GetCaptionRect().top - caption.top, expected);
  }
}

TEST_F(cxButtonsPaintingTest, NumGlyphsFollowTheStripShape)
{
  struct TCase {
    int Width, Height, NumGlyphs;
  };
  for (const TCase row : {TCase{64, 16, 4}, TCase{80, 16, 1}, TCase{40, 16, 1}, TCase{32, 16, 2}, TCase{16, 16, 1}}) {
    const auto glyph = NewGlyph(row.Width, row.Height);
    FButton->SetGlyph(glyph.get());
    EXPECT_EQ(FButton->GetNumGlyphs(), row.NumGlyphs) << row.Width << " x " << row.Height;
  }
  FButton->SetNumGlyphs(9);
  EXPECT_EQ(FButton->GetNumGlyphs(), 4);
  FButton->SetNumGlyphs(0);
  EXPECT_EQ(FButton->GetNumGlyphs(), 1);
}

TEST_F(cxButtonsPaintingTest, ColoursByStateFallBackToNormalAndDefault)
{
  TcxButtonColors* colors = FButton->GetColors();
  colors->SetHot(vcl::clRed);
  EXPECT_EQ(colors->GetNormal(), vcl::clDefault);
  EXPECT_TRUE(colors->GetAssignedColors().Contains(TcxButtonAssignedColor::cxbcHot));
  EXPECT_EQ(colors->GetColorByState(TcxButtonState::cxbsHot), vcl::clRed);
  EXPECT_EQ(colors->GetColorByState(TcxButtonState::cxbsPressed), vcl::clDefault);
  colors->SetNormal(vcl::clYellow);
  colors->SetDefault(vcl::clLime);
  EXPECT_EQ(colors->GetColorByState(TcxButtonState::cxbsPressed), vcl::clYellow);
  EXPECT_EQ(colors->GetColorByState(TcxButtonState::cxbsNormal), vcl::clYellow);
  colors->SetNormal(vcl::clNone);
  EXPECT_EQ(colors->GetColorByState(TcxButtonState::cxbsNormal), vcl::clLime);
  colors->SetHot(vcl::clNone);
  EXPECT_FALSE(colors->GetAssignedColors().Contains(TcxButtonAssignedColor::cxbcHot));
  EXPECT_EQ(colors->GetHot(), vcl::clDefault);
  // At run time the set follows from the colours alone.
  colors->SetAssignedColors({});
  EXPECT_TRUE(colors->GetAssignedColors().Contains(TcxButtonAssignedColor::cxbcDefault));
}

TEST_F(cxButtonsPaintingTest, HotColourReachesTheFace)
{
  FButton->GetColors()->SetHot(vcl::clRed);
  FButton->SetText(L"");
  TButtonsTestSurface surface(100, 30);
  FButton->Calculate(TcxButtonState::cxbsHot)->Draw(surface.Canvas());
  // The standard look does not hot-track: the button stays normal.
  EXPECT_NE(surface.Pixel(50, 15), RGB(255, 0, 0));
  FButton->GetLookAndFeel()->SetKind(TcxLookAndFeelKind::lfUltraFlat);
  ASSERT_TRUE(FButton->IsHotTrack());
  FButton->Calculate(TcxButtonState::cxbsHot)->Draw(surface.Canvas());
  EXPECT_EQ(surface.Pixel(50, 15), RGB(255, 0, 0));
}

// In the classic looks a disabled caption is embossed with a highlight copy
// one pixel right and down.
TEST_F(cxButtonsPaintingTest, DisabledCaptionIsEmbossed)
{
  FButton->SetText(L"HHHH");
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  const auto highlightPixels = [&](TcxButtonState AState) {
    TButtonsTestSurface surface(100, 30);
    TcxButtonViewInfo* info = FButton->Calculate(AState);
    info->Draw(surface.Canvas());
    const TRect caption = info->GetCaptionRect();
    int count = 0;
    for (int y = caption.top; y <= caption.bottom; ++y)
      for (int x = caption.left; x <= caption.right; ++x)
        count += surface.Pixel(x, y) == highlight;
    return count;
  };
  EXPECT_EQ(highlightPixels(TcxButtonState::cxbsNormal), 0);
  EXPECT_GT(highlightPixels(TcxButtonState::cxbsDisabled), 0);
}

// The split button's faces overlap by two pixels in the classic looks and
// touch under a skin, where no arrow is drawn over the skin's part.
TEST_F(cxButtonsPaintingTest, SplitButtonFaces)
{
  FButton->SetKind(TcxButtonKind::cxbkDropDownButton);
  TcxButtonViewInfo* info = FButton->Calculate(TcxButtonState::cxbsNormal);
  const int part = info->GetPainter()->GetDropDownButtonSize();
  EXPECT_EQ(info->GetDropDownButtonRect().left, 100 - part);
  EXPECT_EQ(info->GetButtonRect().right, 100 - part + 2);
  EXPECT_TRUE(info->NeedDrawDropDownArrow());

  FButton->GetLookAndFeel()->SetSkinName(L"VisualStudio2013Dark");
  ASSERT_EQ(info->GetPainter()->LookAndFeelStyle(), TcxLookAndFeelStyle::lfsSkin);
  info = FButton->Calculate(TcxButtonState::cxbsNormal);
  EXPECT_EQ(info->GetButtonRect().right, info->GetDropDownButtonRect().left);
  EXPECT_FALSE(info->NeedDrawDropDownArrow());
}

// Hot-tracking buttons of the skinned (or themed) looks cross-fade between
// their resting and hot faces; any other change stops the fade, and the
// classic looks never fade.
TEST_F(cxButtonsPaintingTest, FadesIntoAndOutOfTheHotState)
{
  TdxFader* fader = dxGetFader();
  fader->SetState(TdxFaderAnimationState::fasEnabled);
  rtl::Finally reset([fader] {
    fader->Clear();
    fader->SetState(TdxFaderAnimationState::fasDefault);
  });
  if (!fader->GetIsReady())
    GTEST_SKIP() << "the fader is off on this display";
  FButton->SetText(L"Fade");
  FButton->Calculate(TcxButtonState::cxbsNormal);
  FButton->PutInState(TcxButtonState::cxbsHot);
  EXPECT_FALSE(fader->Contains(FButton.get()));

  FButton->GetLookAndFeel()->SetSkinName(L"VisualStudio2013Dark");
  FButton->Calculate(TcxButtonState::cxbsNormal);
  ASSERT_TRUE(FButton->FadingCanFade());
  FButton->PutInState(TcxButtonState::cxbsHot);
  EXPECT_TRUE(fader->Contains(FButton.get()));
  FButton->PutInState(TcxButtonState::cxbsNormal);
  EXPECT_TRUE(fader->Contains(FButton.get()));
  FButton->CheckStartFading(TcxButtonState::cxbsNormal, TcxButtonState::cxbsPressed);
  EXPECT_FALSE(fader->Contains(FButton.get()));
  // A custom-drawn button draws what it likes: no fading pictures of it.
  FButton->SetOnCustomDraw(TcxButtonCustomDrawEvent::Bind<&TButtonsPaintTestButton::NoCustomDraw>(FButton.get()));
  EXPECT_FALSE(FButton->FadingCanFade());
}

TEST_F(cxButtonsPaintingTest, OptimalSizeOfAnAcceleratorCaption)
{
  FButton->SetText(L"&Save");
  const auto width = [&](const wchar_t* AText) {
    vcl::TScreenDC dc;
    vcl::TSelectObjectGuard font(dc.Get(), FButton->GetFont()->GetHandle());
    SIZE size{};
    GetTextExtentPoint32W(dc.Get(), AText, static_cast<int>(wcslen(AText)), &size);
    return static_cast<int>(size.cx);
  };
  vcl::TScreenDC dc;
  vcl::TSelectObjectGuard font(dc.Get(), FButton->GetFont()->GetHandle());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.Get(), &metrics);
  const TSize size = FButton->GetOptimalSize();
  EXPECT_EQ(size.cx, width(L"Save") + 3 * width(L"R"));
  EXPECT_EQ(size.cy, MulDiv(metrics.tmHeight, 14, 8));
  FButton->SetText(L"");
  EXPECT_EQ(FButton->GetOptimalSize().cx, width(L" ") + 3 * width(L"R"));
}

TEST_F(cxButtonsPaintingTest, DropDownNonClientHeight)
{
  EXPECT_EQ(cxDropDownNonClientHeight(),
            std::max(GetSystemMetrics(SM_CYHSCROLL) + 2, GetSystemMetrics(SM_CYSIZE)) + 1);
}

// ---------------------------------------------------------------------------
// The review sheet

TEST_F(cxButtonsPaintingTest, DISABLED_RenderSheet)
{
  struct TLook {
    TcxLookAndFeelKind Kind;
    bool Native;
    const wchar_t* Skin;
  };
  const TLook looks[] = {{TcxLookAndFeelKind::lfStandard, false, L""},
                         {TcxLookAndFeelKind::lfFlat, false, L""},
                         {TcxLookAndFeelKind::lfUltraFlat, false, L""},
                         {TcxLookAndFeelKind::lfOffice11, true, L""},
                         {TcxLookAndFeelKind::lfStandard, false, L"VisualStudio2013Dark"}};
  const TcxButtonKind kinds[] = {TcxButtonKind::cxbkStandard, TcxButtonKind::cxbkDropDown,
                                 TcxButtonKind::cxbkDropDownButton, TcxButtonKind::cxbkCommandLink,
                                 TcxButtonKind::cxbkOfficeDropDown};
  const TcxButtonState states[] = {TcxButtonState::cxbsNormal, TcxButtonState::cxbsDefault, TcxButtonState::cxbsHot,
                                   TcxButtonState::cxbsPressed, TcxButtonState::cxbsDisabled};
  constexpr int kCellWidth = 130, kCellHeight = 50;
  const int rows = static_cast<int>(std::size(looks) * std::size(kinds));
  TButtonsTestSurface sheet(kCellWidth * 5 + 8, kCellHeight * rows + 8);
  sheet.Canvas()->FillRect(sheet.Bitmap->GetClientRect(), vcl::clWhite);
  const auto glyph = NewGlyph(16, 16);
  FButton->SetBounds(0, 0, kCellWidth - 8, kCellHeight - 8);
  int row = 0;
  for (const TLook& look : looks) {
    FButton->GetLookAndFeel()->SetKind(look.Kind);
    FButton->GetLookAndFeel()->SetNativeStyle(look.Native);
    FButton->GetLookAndFeel()->SetSkinName(look.Skin);
    for (const TcxButtonKind kind : kinds) {
      FButton->SetKind(kind);
      FButton->SetText(kind == TcxButtonKind::cxbkCommandLink ? L"Command" : L"&Generate");
      FButton->SetDescription(L"note");
      if (kind == TcxButtonKind::cxbkOfficeDropDown)
        FButton->SetGlyph(glyph.get());
      else
        FButton->GetGlyph()->Clear();
      for (int column = 0; column < 5; ++column) {
        TButtonsTestSurface cell(kCellWidth - 8, kCellHeight - 8);
        cell.Canvas()->FillRect(cell.Bitmap->GetClientRect(), vcl::clWhite);
        FButton->Calculate(states[column])->Draw(cell.Canvas());
        BitBlt(sheet.Canvas()->GetHandle(), 4 + column * kCellWidth, 4 + row * kCellHeight, kCellWidth - 8,
               kCellHeight - 8, cell.Canvas()->GetHandle(), 0, 0, SRCCOPY);
      }
      ++row;
    }
  }
  const rtl::TOwnedPtr<TdxPNGImage> png(rtl::New<TdxPNGImage>());
  png->LoadFromBitmap(sheet.Bitmap.get());
  const char* folder = std::getenv("KV_RENDER_DIR");
  const std::wstring path =
      (folder ? std::wstring(folder, folder + std::strlen(folder)) + L"\\" : std::wstring()) + L"ButtonsSheet.png";
  png->SaveToFile(path);
}

}  // namespace
