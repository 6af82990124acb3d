// Editor layout and painting without an edit control: border extents and
// client rectangles, button layout and states, hit testing, the paint
// utilities and the background kinds probed on a memory DIB.
#include <gtest/gtest.h>

#include <vector>

#include "editors/cxEdit.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Graphics.h"
#include "platform/vcl/GraphicsHandles.h"
#include "tests/platform/vcl/GraphicsTestSupport.h"

namespace {

using enum TcxContainerBorderStyle;
using enum TcxEditButtonState;
using vcltest::AsPixel;
using vcltest::TSurface;

struct TcxEditViewTestCanvas {
  explicit TcxEditViewTestCanvas(HDC ADC)
      : Canvas(rtl::NewWith<vcl::TCanvas>([&](vcl::TCanvas* C) {
          C->Create();
          C->SetHandle(ADC);
        })),
        Wrapper(rtl::New<TcxCanvas>(Canvas.get()))
  {
  }
  rtl::TOwnedPtr<vcl::TCanvas> Canvas;
  rtl::TOwnedPtr<TcxCanvas> Wrapper;
};

// Draws the background itself when told to handle it.
struct TcxEditViewTestHandler {
  bool Handle;
  void Draw(TcxCustomEditViewInfo*, TcxCanvas* ACanvas, bool& AHandled)
  {
    AHandled = Handle;
    if (ACanvas && Handle)
      ACanvas->FillRect(TRect{0, 0, 40, 20}, vcl::clLime);
  }
};

// Takes over every button and counts the real drawings.
struct TcxEditViewTestButtonHandler {
  int Calls = 0;
  void Draw(TcxEditButtonViewInfo*, TcxCanvas* ACanvas, bool& AHandled)
  {
    AHandled = true;
    if (ACanvas)
      ++Calls;
  }
};

testing::AssertionResult SameRect(const TRect& A, const TRect& B)
{
  if (EqualRect(&A, &B))
    return testing::AssertionSuccess();
  return testing::AssertionFailure() << "(" << A.left << "," << A.top << "," << A.right << "," << A.bottom
                                     << ") is not (" << B.left << "," << B.top << "," << B.right << "," << B.bottom
                                     << ")";
}

class TcxEditViewTest : public testing::Test {
 protected:
  void SetUp() override
  {
    Properties.reset(rtl::New<TcxCustomEditProperties>(nullptr));
    Style.reset(rtl::New<TcxEditStyle>(nullptr));
    Style->GetLookAndFeel()->SetKind(TcxLookAndFeelKind::lfStandard);
    Style->GetLookAndFeel()->SetNativeStyle(false);
    Style->SetHotTrack(false);
    Style->SetTransparentBorder(false);
    ViewInfo.reset(rtl::New<TcxCustomEditViewInfo>());
  }
  // A calculation of a stand-alone (or in-place) editor of ABounds.
  void Calculate(const TRect& ABounds, bool AInplace = false, TPoint P = {-1, -1},
                 TcxMouseButton AButton = TcxMouseButton::cxmbNone, vcl::TShiftState AShift = {},
                 bool AFocused = false)
  {
    TSurface surface(1, 1);
    TcxEditViewTestCanvas canvas(surface.DC());
    rtl::TOwnedPtr<TcxCustomEditViewData> data(
        rtl::New<TcxCustomEditViewData>(Properties.get(), AInplace, Style.get()));
    data->Focused = AFocused;
    data->Calculate(canvas.Wrapper.get(), ABounds, P, AButton, AShift, ViewInfo.get(), true);
  }
  TcxCustomEditButton* AddButton(TcxEditButtonKind AKind, int AWidth = 0)
  {
    TcxCustomEditButton* button = Properties->GetButtons()->Add();
    button->SetKind(AKind);
    button->SetWidth(AWidth);
    return button;
  }

  rtl::TOwnedPtr<TcxCustomEditProperties> Properties;
  rtl::TOwnedPtr<TcxEditStyle> Style;
  rtl::TOwnedPtr<TcxCustomEditViewInfo> ViewInfo;
};

TEST_F(TcxEditViewTest, BorderExtentAndClientRectByBorderStyle)
{
  const TcxBorders all{TcxBorder::bLeft, TcxBorder::bTop, TcxBorder::bRight, TcxBorder::bBottom};
  const struct {
    const char* Name;
    TcxContainerBorderStyle Border;
    TcxBorders Edges;
    bool Shadow;
    TRect Extent;
    TRect Client;
  } cases[] = {
      {"single", cbsSingle, all, false, {1, 1, 1, 1}, {1, 1, 120, 20}},
      {"single with shadow", cbsSingle, all, true, {1, 1, 4, 4}, {1, 1, 117, 17}},
      {"ultra flat lays out as single", cbsUltraFlat, all, false, {1, 1, 1, 1}, {1, 1, 120, 20}},
      {"office 11 lays out as single", cbsOffice11, all, false, {1, 1, 1, 1}, {1, 1, 120, 20}},
      {"thick", cbsThick, all, false, {2, 2, 2, 2}, {2, 2, 119, 19}},
      {"flat", cbsFlat, all, false, {2, 2, 2, 2}, {2, 2, 119, 19}},
      {"3D", cbs3D, all, false, {2, 2, 2, 2}, {2, 2, 119, 19}},
      {"left and top only", cbs3D, {TcxBorder::bLeft, TcxBorder::bTop}, false, {2, 2, 0, 0}, {2, 2, 121, 21}},
      {"none", cbsNone, all, false, {0, 0, 0, 0}, {0, 0, 121, 21}},
  };
  for (const auto& c : cases) {
    Style->SetBorderStyle(c.Border);
    Style->SetEdges(c.Edges);
    Style->SetShadow(c.Shadow);
    Calculate({0, 0, 121, 21});
    EXPECT_TRUE(SameRect(ViewInfo->BorderExtent, c.Extent)) << c.Name;
    EXPECT_TRUE(SameRect(ViewInfo->ClientRect, c.Client)) << c.Name;
  }
}

TEST_F(TcxEditViewTest, ButtonsTakeTheirSideOfTheClientRect)
{
  Style->SetBorderStyle(cbsSingle);
  AddButton(TcxEditButtonKind::bkEllipsis, 20)->SetLeftAlignment(true);
  AddButton(TcxEditButtonKind::bkDown, 17);
  AddButton(TcxEditButtonKind::bkText, 25);
  Calculate({0, 0, 121, 21});

  ASSERT_EQ(ViewInfo->GetButtonCount(), 3);
  const TRect expected[] = {{1, 1, 21, 20}, {78, 1, 95, 20}, {95, 1, 120, 20}};
  for (int i = 0; i < 3; ++i)
    EXPECT_TRUE(SameRect(ViewInfo->ButtonsInfo[i]->Bounds, expected[i])) << i;
  const TRect client{21, 1, 78, 20};
  EXPECT_TRUE(SameRect(ViewInfo->ClientRect, client));
  // The last button is the outer one of its side.
  EXPECT_TRUE(ViewInfo->ButtonsInfo[2]->Data.Rightmost);
  EXPECT_TRUE(ViewInfo->ButtonsInfo[1]->Data.Leftmost);
  EXPECT_TRUE(ViewInfo->ButtonsInfo[0]->Data.Leftmost && ViewInfo->ButtonsInfo[0]->Data.Rightmost);
}

TEST_F(TcxEditViewTest, ButtonsOnlyShareTheSpareWidth)
{
  Style->SetBorderStyle(cbsNone);
  Properties->SetButtonsViewStyle(TcxEditButtonsViewStyle::bvsButtonsOnly);
  AddButton(TcxEditButtonKind::bkEllipsis, 20);
  AddButton(TcxEditButtonKind::bkEllipsis, 20);
  Calculate({0, 0, 51, 20});

  ASSERT_EQ(ViewInfo->GetButtonCount(), 2);
  EXPECT_EQ(cxRectGetWidth(ViewInfo->ButtonsInfo[0]->Bounds), 26);
  EXPECT_EQ(cxRectGetWidth(ViewInfo->ButtonsInfo[1]->Bounds), 25);
  EXPECT_EQ(ViewInfo->ButtonsInfo[0]->Bounds.right, ViewInfo->ButtonsInfo[1]->Bounds.left);
}

TEST_F(TcxEditViewTest, AWideInplaceSizeQueryIsNeverButtonsOnly)
{
  Properties->SetButtonsViewStyle(TcxEditButtonsViewStyle::bvsButtonsOnly);
  AddButton(TcxEditButtonKind::bkEllipsis, 20);
  Calculate({0, 0, 32000, 20}, true);
  EXPECT_EQ(cxRectGetWidth(ViewInfo->ButtonsInfo[0]->Bounds), 20);
}

TEST_F(TcxEditViewTest, HideInactiveButtonsShowOnlyWhenFocused)
{
  Style->SetButtonTransparency(TcxEditButtonTransparency::ebtHideInactive);
  AddButton(TcxEditButtonKind::bkDown);
  Calculate({0, 0, 121, 21});
  EXPECT_EQ(ViewInfo->GetButtonCount(), 0);
  Calculate({0, 0, 121, 21}, false, {-1, -1}, TcxMouseButton::cxmbNone, {}, true);
  EXPECT_EQ(ViewInfo->GetButtonCount(), 1);
}

TEST_F(TcxEditViewTest, PressingFollowsTheMouseWhileTheButtonIsHeld)
{
  using enum vcl::TShiftStateItem;
  Style->SetBorderStyle(cbsSingle);
  AddButton(TcxEditButtonKind::bkDown, 17);
  const TPoint on{110, 10};
  const TPoint off{50, 10};
  const struct {
    const char* Name;
    TPoint P;
    TcxMouseButton Button;
    vcl::TShiftState Shift;
    TcxEditButtonState Expected;
    int Pressed;
  } steps[] = {
      {"hover", on, TcxMouseButton::cxmbNone, {}, ebsSelected, -1},
      {"left press", on, TcxMouseButton::cxmbLeft, {ssLeft}, ebsPressed, 0},
      {"moved off while held", off, TcxMouseButton::cxmbNone, {ssLeft}, ebsNormal, -1},
      {"released", on, TcxMouseButton::cxmbNone, {}, ebsSelected, -1},
  };
  for (const auto& s : steps) {
    Calculate({0, 0, 121, 21}, false, s.P, s.Button, s.Shift);
    EXPECT_EQ(ViewInfo->ButtonsInfo[0]->Data.State, s.Expected) << s.Name;
    EXPECT_EQ(ViewInfo->PressedButton, s.Pressed) << s.Name;
  }
}

TEST_F(TcxEditViewTest, DisabledButtonsStayDisabled)
{
  AddButton(TcxEditButtonKind::bkDown, 17)->SetEnabled(false);
  Calculate({0, 0, 121, 21}, false, {110, 10}, TcxMouseButton::cxmbLeft, {vcl::TShiftStateItem::ssLeft});
  EXPECT_EQ(ViewInfo->ButtonsInfo[0]->Data.State, ebsDisabled);
  EXPECT_EQ(ViewInfo->PressedButton, -1);
}

TEST_F(TcxEditViewTest, HitTestParts)
{
  Style->SetBorderStyle(cbsSingle);
  AddButton(TcxEditButtonKind::bkEllipsis, 20);
  Calculate({0, 0, 121, 21});
  ViewInfo->Left = 10;
  ViewInfo->Top = 5;
  const struct {
    TPoint P;
    int Part;
  } cases[] = {
      {{10 + 110, 5 + 10}, 0},
      {{10 + 50, 5 + 10}, TcxCustomEditViewInfo::ehtBody},
      {{10 + 0, 5 + 10}, TcxCustomEditViewInfo::ehtNone},  // the border itself
      {{10 + 50, 5 + 30}, TcxCustomEditViewInfo::ehtNone},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ViewInfo->GetHitTestPart(c.P), c.Part) << c.P.x << "," << c.P.y;
  const TRect body = ViewInfo->GetPartBounds(TcxCustomEditViewInfo::ehtBody);
  const TRect expected{1, 1, 100, 20};
  EXPECT_TRUE(SameRect(body, expected));
}

TEST_F(TcxEditViewTest, OffsetMovesEveryRectangle)
{
  AddButton(TcxEditButtonKind::bkDown, 17);
  Calculate({0, 0, 121, 21});
  const TRect button = ViewInfo->ButtonsInfo[0]->Bounds;
  const TRect inner = ViewInfo->InnerEditRect;
  const TRect editor = ViewInfo->GetEditorBounds();
  ViewInfo->Offset(5, 7);
  const auto moved = [](TRect R) {
    OffsetRect(&R, 5, 7);
    return R;
  };
  EXPECT_TRUE(SameRect(ViewInfo->ButtonsInfo[0]->Bounds, moved(button)));
  EXPECT_TRUE(SameRect(ViewInfo->ButtonsInfo[0]->VisibleBounds, moved(button)));
  EXPECT_TRUE(SameRect(ViewInfo->InnerEditRect, moved(inner)));
  EXPECT_TRUE(SameRect(ViewInfo->GetEditorBounds(), moved(editor)));
}

// ---------------------------------------------------------------------------
// Paint utilities

TEST(TcxEditPaintUtilsTest, BorderEdgesDrawTheRingAndShrink)
{
  const struct {
    TcxBorders Edges;
    TRect Rest;
    int Pixels;
  } cases[] = {
      {{TcxBorder::bLeft, TcxBorder::bTop, TcxBorder::bRight, TcxBorder::bBottom}, {1, 1, 9, 9}, 36},
      {{TcxBorder::bLeft}, {1, 0, 10, 10}, 10},
      {{TcxBorder::bTop, TcxBorder::bBottom}, {0, 1, 10, 9}, 20},
      {{}, {0, 0, 10, 10}, 0},
  };
  for (const auto& c : cases) {
    TSurface surface(12, 12);
    TcxEditViewTestCanvas canvas(surface.DC());
    TRect R{0, 0, 10, 10};
    cxEditDrawBorderEdges(canvas.Wrapper.get(), R, c.Edges, vcl::clRed);
    EXPECT_TRUE(SameRect(R, c.Rest));
    int count = 0;
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 12; ++x)
        count += surface.Pixel(x, y) == AsPixel(vcl::clRed);
    EXPECT_EQ(count, c.Pixels);
  }
}

TEST(TcxEditPaintUtilsTest, FillRectFrame)
{
  const struct {
    const char* Name;
    TRect Inner;
    int Pixels;
  } cases[] = {{"band", {2, 2, 8, 8}, 64}, {"empty inner fills all", {}, 100}, {"equal draws nothing", {0, 0, 10, 10}, 0}};
  for (const auto& c : cases) {
    TSurface surface(10, 10);
    TcxEditViewTestCanvas canvas(surface.DC());
    cxEditFillRectFrame(canvas.Wrapper.get(), TRect{0, 0, 10, 10}, c.Inner, cxEditGetSolidBrush(vcl::clBlue));
    int count = 0;
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x)
        count += surface.Pixel(x, y) == AsPixel(vcl::clBlue);
    EXPECT_EQ(count, c.Pixels) << c.Name;
  }
}

TEST(TcxEditPaintUtilsTest, TextFlagConversionsRoundTrip)
{
  const unsigned bits[] = {1, 2, 16, 32, 256, 512};
  for (unsigned mask = 0; mask < 64; ++mask) {
    unsigned flags = 0;
    for (int i = 0; i < 6; ++i)
      if (mask & (1u << i))
        flags |= bits[i];
    EXPECT_EQ(cxConvertDrawTextFlags(cxConvertTextOutFlags(flags)), flags) << flags;
  }
  EXPECT_EQ(cxConvertTextOutFlags(4 | 8 | 64), 0u);
  EXPECT_EQ(cxConvertTextOutFlags(1), 4u);
}

TEST(TcxEditPaintUtilsTest, VerticalMarginsByButtonStyle)
{
  using enum TcxEditButtonStyle;
  const std::pair<TcxEditButtonStyle, int> cases[] = {{btsDefault, 0}, {bts3D, 4},          {btsFlat, 2},
                                                      {btsSimple, 2},  {btsHotFlat, 2},     {btsUltraFlat, 2},
                                                      {btsOffice11, 2}};
  for (const auto& [style, margin] : cases)
    EXPECT_EQ(cxEditButtonsVerticalMargin(nullptr, style, false), margin) << static_cast<int>(style);
}

// ---------------------------------------------------------------------------
// Painting

TEST_F(TcxEditViewTest, BackgroundKindsOnAMemoryDIB)
{
  Style->SetBorderStyle(cbsSingle);
  Style->SetColor(vcl::clYellow);
  Style->SetBorderColor(vcl::clRed);
  const struct {
    const char* Name;
    bool Inplace;
    bool Transparent;
    bool Custom;
    std::uint32_t Inside;
    bool Transparency;
  } cases[] = {
      {"stand-alone frame", false, false, false, AsPixel(vcl::clYellow), false},
      {"in place fill", true, false, false, AsPixel(vcl::clYellow), false},
      {"in place transparent", true, true, false, 0x123456, true},
      {"in place custom", true, false, true, AsPixel(vcl::clLime), true},
  };
  for (const auto& c : cases) {
    TcxEditViewTestHandler handler{c.Custom};
    ViewInfo->SetOnDrawBackground(TcxEditDrawBackgroundEvent::Bind<&TcxEditViewTestHandler::Draw>(&handler));
    Calculate({0, 0, 40, 20}, c.Inplace);
    ViewInfo->Transparent = c.Transparent;
    TSurface surface(40, 20, 0x123456);
    TcxEditViewTestCanvas canvas(surface.DC());
    ViewInfo->DrawEditBackground(canvas.Wrapper.get(), TRect{0, 0, 40, 20}, TRect{}, true);
    EXPECT_EQ(surface.Pixel(20, 10), c.Inside) << c.Name;
    EXPECT_EQ(ViewInfo->IsBackgroundTransparent(), c.Transparency) << c.Name;
    if (!c.Inplace) {
      // The frame is drawn around the fill.
      EXPECT_NE(surface.Pixel(0, 10), AsPixel(vcl::clYellow)) << c.Name;
      EXPECT_NE(surface.Pixel(0, 10), 0x123456u) << c.Name;
    }
  }
}

// The width of the three dots follows the content width: 2-pixel dots over
// 10 pixels above 11, 1-pixel dots over 7 pixels otherwise.
TEST_F(TcxEditViewTest, EllipsisDotsFollowTheContentWidth)
{
  Style->SetBorderStyle(cbsNone);
  Style->SetButtonStyle(TcxEditButtonStyle::btsUltraFlat);
  const std::pair<int, int> cases[] = {{16, 10}, {15, 7}};  // button width (content + 4), dots' extent
  for (const auto& [width, extent] : cases) {
    Properties->GetButtons()->Clear();
    AddButton(TcxEditButtonKind::bkEllipsis, width);
    Calculate({0, 0, 60, 20});
    TSurface surface(60, 20);
    TcxEditViewTestCanvas canvas(surface.DC());
    ViewInfo->DrawButtons(canvas.Wrapper.get());
    int left = 60;
    int right = -1;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 60; ++x)
        if (surface.Pixel(x, y) == AsPixel(vcl::ColorToRGB(vcl::clBtnText))) {
          left = std::min(left, x);
          right = std::max(right, x);
        }
    EXPECT_EQ(right - left + 1, extent) << width;
  }
}

TEST_F(TcxEditViewTest, PressedSimpleButtonLooksLikePressedFlat)
{
  using enum vcl::TShiftStateItem;
  AddButton(TcxEditButtonKind::bkDown, 17);
  auto paint = [&](TcxEditButtonStyle AStyle, TSurface& ASurface) {
    Style->SetButtonStyle(AStyle);
    Calculate({0, 0, 60, 20}, false, {50, 10}, TcxMouseButton::cxmbLeft, {ssLeft});
    TcxEditViewTestCanvas canvas(ASurface.DC());
    ViewInfo->DrawButtons(canvas.Wrapper.get());
  };
  TSurface simple(60, 20);
  TSurface flat(60, 20);
  paint(TcxEditButtonStyle::btsSimple, simple);
  paint(TcxEditButtonStyle::btsFlat, flat);
  ASSERT_EQ(ViewInfo->ButtonsInfo[0]->Data.State, ebsPressed);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x)
      ASSERT_EQ(simple.Pixel(x, y), flat.Pixel(x, y)) << x << "," << y;
}

TEST_F(TcxEditViewTest, CustomButtonHandlerReplacesTheDefaultDrawing)
{
  AddButton(TcxEditButtonKind::bkDown, 17);
  Calculate({0, 0, 60, 20});
  TcxEditViewTestButtonHandler handler;
  ViewInfo->OnDrawButton = TcxEditDrawButtonEvent::Bind<&TcxEditViewTestButtonHandler::Draw>(&handler);
  EXPECT_TRUE(ViewInfo->IsCustomButton(0));
  EXPECT_TRUE(ViewInfo->IsCustomDrawButton(0));
  TSurface surface(60, 20, 0x123456);
  TcxEditViewTestCanvas canvas(surface.DC());
  ViewInfo->DrawButtons(canvas.Wrapper.get());
  EXPECT_EQ(handler.Calls, 1);
  EXPECT_EQ(surface.Pixel(50, 10), 0x123456u);
}

TEST_F(TcxEditViewTest, RepaintWithoutAWindowDoesNothing)
{
  Calculate({0, 0, 60, 20});
  EXPECT_FALSE(ViewInfo->Repaint(nullptr, nullptr));
}

// Against the look before, only the band that changed repaints: the frame
// around the inner edit for a new colour or state, the border alone for a
// new border colour, a button alone for its own new state.
TEST_F(TcxEditViewTest, RepaintBandsByWhatChanged)
{
  using enum TcxContainerStateItem;
  Style->SetBorderStyle(cbsSingle);
  AddButton(TcxEditButtonKind::bkEllipsis, 20);
  Calculate({0, 0, 121, 21});
  rtl::TOwnedPtr<vcl::TForm> form(rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(vcl::Application()); }));
  form->SetBounds(0, 0, 200, 100);
  form->Show();
  const HWND wnd = form->GetHandle();
  const TRect inner{4, 3, 96, 18};
  const TPoint inInner{50, 10};
  const TPoint padding{2, 10};     // between the border and the inner edit
  const TPoint onBorder{60, 0};
  const TPoint onButton{110, 10};
  const struct {
    const char* Name;
    void (*Change)(TcxCustomEditViewInfo* AOld);
    std::vector<TPoint> Repainted;
    std::vector<TPoint> Kept;
  } cases[] = {
      {"nothing", [](TcxCustomEditViewInfo*) {}, {}, {inInner, padding, onBorder, onButton}},
      {"background", [](TcxCustomEditViewInfo* AOld) { AOld->SetBackgroundColor(vcl::clRed); },
       {padding, onBorder, onButton}, {inInner}},
      {"container state", [](TcxCustomEditViewInfo* AOld) { AOld->ContainerState = {csActive}; },
       {padding, onBorder}, {inInner}},
      {"border colour", [](TcxCustomEditViewInfo* AOld) { AOld->BorderColor = vcl::clRed; }, {onBorder},
       {inInner, padding}},
      {"button state",
       [](TcxCustomEditViewInfo* AOld) { AOld->ButtonsInfo[0]->Data.State = TcxEditButtonState::ebsSelected; },
       {onButton}, {inInner, padding, onBorder}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    rtl::TOwnedPtr<TcxCustomEditViewInfo> old(rtl::New<TcxCustomEditViewInfo>());
    old->Assign(ViewInfo.get());
    c.Change(old.get());
    ValidateRect(wnd, nullptr);
    const bool repainted = ViewInfo->Repaint(form.get(), inner, old.get());
    EXPECT_EQ(repainted, !c.Repainted.empty());
    vcl::TOwnedRegion region(CreateRectRgn(0, 0, 0, 0));
    GetUpdateRgn(wnd, region.Get(), FALSE);
    for (const TPoint& p : c.Repainted)
      EXPECT_TRUE(PtInRegion(region.Get(), p.x, p.y)) << p.x << "," << p.y;
    for (const TPoint& p : c.Kept)
      EXPECT_FALSE(PtInRegion(region.Get(), p.x, p.y)) << p.x << "," << p.y;
  }
  form->Hide();
}

// Draws editors with buttons in each button style for review, a row per
// style: all buttons normal, the glyph button hot, the glyph button pressed,
// the drop-down button pressed. KV_RENDER_DIR=<folder> writes
// EditButtons.png there.
TEST_F(TcxEditViewTest, RendersButtonStylesForReview)
{
  using enum TcxEditButtonStyle;
  using enum vcl::TShiftStateItem;
  Style->SetBorderStyle(cbsSingle);
  Style->SetColor(vcl::clWindow);
  AddButton(TcxEditButtonKind::bkEllipsis);
  AddButton(TcxEditButtonKind::bkDown);
  AddButton(TcxEditButtonKind::bkText)->SetCaption(L"&Go");
  // A black arrow on a transparent (lower-left, fuchsia) ground.
  rtl::TOwnedPtr<vcl::TBitmap> picture(rtl::New<vcl::TBitmap>());
  picture->SetPixelFormat(vcl::TPixelFormat::pf24bit);
  picture->SetSize(9, 9);
  picture->GetCanvas()->GetBrush()->SetColor(vcl::clFuchsia);
  picture->GetCanvas()->FillRect({0, 0, 9, 9});
  for (int row = 0; row < 5; ++row)
    for (int x = row; x < 9 - row; ++x)
      SetPixel(picture->GetCanvas()->GetHandle(), x, 2 + row, RGB(0, 0, 0));
  rtl::TOwnedPtr<TdxSmartGlyph> glyph(rtl::New<TdxSmartGlyph>());
  glyph->Assign(picture.get());
  TcxCustomEditButton* glyphButton = AddButton(TcxEditButtonKind::bkGlyph);
  glyphButton->SetGlyph(glyph.get());
  constexpr int kWidth = 190;
  constexpr int kRow = 26;
  const TcxEditButtonStyle styles[] = {bts3D, btsFlat, btsSimple, btsHotFlat, btsUltraFlat, btsOffice11};
  const int width = 4 * (kWidth + 10);
  const int height = static_cast<int>(std::size(styles)) * kRow + 4;
  rtl::TOwnedPtr<TcxBitmap> bitmap(rtl::NewWith<TcxBitmap>([&](TcxBitmap* B) { B->CreateSize(width, height); }));
  bitmap->GetcxCanvas()->FillRect(TRect{0, 0, width, height}, vcl::clBtnFace);
  for (std::size_t row = 0; row < std::size(styles); ++row) {
    Style->SetButtonStyle(styles[row]);
    for (int column = 0; column < 4; ++column) {
      Calculate({0, 0, kWidth, 22});
      const TRect glyphBounds = ViewInfo->ButtonsInfo[3]->Bounds;
      const TRect downBounds = ViewInfo->ButtonsInfo[1]->Bounds;
      const TPoint onGlyph{(glyphBounds.left + glyphBounds.right) / 2, 10};
      const TPoint onDown{(downBounds.left + downBounds.right) / 2, 10};
      if (column == 1)
        Calculate({0, 0, kWidth, 22}, false, onGlyph);
      else if (column == 2)
        Calculate({0, 0, kWidth, 22}, false, onGlyph, TcxMouseButton::cxmbLeft, {ssLeft});
      else if (column == 3)
        Calculate({0, 0, kWidth, 22}, false, onDown, TcxMouseButton::cxmbLeft, {ssLeft});
      ViewInfo->Left = 5 + column * (kWidth + 10);
      ViewInfo->Top = 4 + static_cast<int>(row) * kRow;
      ViewInfo->PaintEx(bitmap->GetcxCanvas());
    }
  }
  EXPECT_NE(GetPixel(bitmap->GetcxCanvas()->GetHandle(), 5 + 20, 4 + 10),
            static_cast<COLORREF>(vcl::ColorToRGB(vcl::clBtnFace)));
  const rtl::TOwnedPtr<TdxPNGImage> png(rtl::New<TdxPNGImage>());
  png->LoadFromBitmap(bitmap.get());
  if (const char* folder = std::getenv("KV_RENDER_DIR"))
    png->SaveToFile(std::wstring(folder, folder + std::strlen(folder)) + L"\\EditButtons.png");
}

}  // namespace
