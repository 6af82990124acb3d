// The abstract tab painter's shared behaviour: the sides the page frame is
// drawn on and the page client offsets they give, and the tab font that
// OnDrawTabEx may colour, also over themed tabs.
#include <gtest/gtest.h>

#include <string>

#include "pagecontrol/cxPC.h"
#include "pagecontrol/cxPCPainters.h"
#include "tests/pagecontrol/PageControlTestSupport.h"

namespace {

// A view info whose page is framed only toward the tabs.
class TPCOpenFrameViewInfo : public TcxCustomTabControlViewInfo {
  RTL_CLASS(TPCOpenFrameViewInfo, TcxCustomTabControlViewInfo)

 public:
  bool IsPageFramedOnAllSides() const override { return false; }
};

TEST(cxPCCustomPainter, ThePageClientAreaLiesInsideTheFramedSidesOnly)
{
  using P = TcxTabPosition;
  using B = TcxBorder;
  struct {
    const char* Name;
    P Position;
    bool FramedOnAllSides;
    TcxBorders Sides;
  } const cases[] = {
      {"top, all sides", P::tpTop, true, cxBordersAll},
      {"left, all sides", P::tpLeft, true, cxBordersAll},
      {"top, toward the tabs", P::tpTop, false, {B::bTop}},
      {"bottom, toward the tabs", P::tpBottom, false, {B::bBottom}},
      {"left, toward the tabs", P::tpLeft, false, {B::bLeft}},
      {"right, toward the tabs", P::tpRight, false, {B::bRight}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    pctest::TPCControlPtr control = pctest::NewControl(300, 200);
    if (!c.FramedOnAllSides)
      control->UseViewInfo<TPCOpenFrameViewInfo>();
    // The classic frame: the theme's pane has widths of its own.
    control->GetControlLookAndFeel()->SetNativeStyle(false);
    control->SetPainterClass(TcxPCPainterClass::Of<TcxPCTabsPainter>());
    control->GetProperties()->SetTabPosition(c.Position);
    control->AddTabs(3);
    control->GetViewInfo()->Calculate();
    TcxPCCustomPainter* painter = control->GetPCPainter();
    EXPECT_EQ(painter->GetFrameSides(), c.Sides);
    // The frame is 2 wide on each framed side and nowhere else.
    const TRect frame = painter->GetPageFrameRect();
    const int width = painter->GetFrameWidth();
    const TRect expected{frame.left + (c.Sides.Contains(B::bLeft) ? width : 0),
                         frame.top + (c.Sides.Contains(B::bTop) ? width : 0),
                         frame.right - (c.Sides.Contains(B::bRight) ? width : 0),
                         frame.bottom - (c.Sides.Contains(B::bBottom) ? width : 0)};
    const TRect client = painter->GetPageClientRect();
    EXPECT_TRUE(EqualRect(&client, &expected))
        << "client " << client.left << "," << client.top << "," << client.right << "," << client.bottom << " frame "
        << frame.left << "," << frame.top << "," << frame.right << "," << frame.bottom;
  }
}

// Colours the caption of the tab "CRUD" red.
class TPCTabFontEvents : public rtl::TObject {
  RTL_CLASS(TPCTabFontEvents, rtl::TObject)

 public:
  int Prepared = 0;
  void DrawTabEx(TcxCustomTabControlProperties*, TcxTab* ATab, vcl::TFont* AFont)
  {
    if (ATab->GetCaption() == L"CRUD")
      AFont->SetColor(vcl::clRed);
  }
  void PrepareFont(TcxTab*, TcxCanvas*) { ++Prepared; }
};

int CountPixels(pctest::TPCPainted& APainted, const TRect& R, vcl::TColor AColor)
{
  int result = 0;
  for (int y = R.top; y < R.bottom; ++y)
    for (int x = R.left; x < R.right; ++x)
      result += APainted.Pixel(x, y) == pctest::Rgb(AColor) ? 1 : 0;
  return result;
}

TEST(cxPCCustomPainter, DrawTabExColoursTheCaptionOfClassicAndThemedTabs)
{
  for (const bool native : {false, true}) {
    SCOPED_TRACE(native ? "themed" : "classic");
    const rtl::TOwnedPtr<TPCTabFontEvents> events(rtl::New<TPCTabFontEvents>());
    pctest::TPCPainted painted(TcxPCPainterClass::Of<TcxPCTabsPainter>(), TcxTabPosition::tpTop, native,
                               [&events](TcxCustomTabControlProperties* AProperties) {
                                 AProperties->SetOnDrawTabEx(
                                     TcxPCPropertiesDrawTabExEvent::Bind<&TPCTabFontEvents::DrawTabEx>(events.get()));
                                 AProperties->SetOnPrepareTabCanvasFont(
                                     TcxPCPrepareTabCanvasFontEvent::Bind<&TPCTabFontEvents::PrepareFont>(
                                         events.get()));
                               });
    painted.Save(native ? L"DrawTabExThemed.png" : L"DrawTabExClassic.png");
    EXPECT_GT(CountPixels(painted, painted.Tab(1)->GetTextRect(), vcl::clRed), 0);
    EXPECT_EQ(CountPixels(painted, painted.Tab(0)->GetTextRect(), vcl::clRed), 0);
    EXPECT_EQ(events->Prepared, 3);
  }
}

}  // namespace
