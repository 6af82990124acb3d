#include <gtest/gtest.h>

#include "platform/vcl/Controls.h"
#include "tests/platform/vcl/GraphicsTestSupport.h"

using enum vcl::TControlStyleItem;

namespace vcl {
namespace {

using vcltest::AsPixel;
using vcltest::TSurface;

constexpr TColor kRed = 0x0000FF;
constexpr TColor kGreen = 0x00FF00;
constexpr TColor kBlue = 0xFF0000;
constexpr TColor kYellow = 0x00FFFF;

// Paints its client area in PaintColor, unlike its background (Color), and
// leaves a band on the right unpainted so the background shows there.
class TPainter : public TCustomControl {
  RTL_CLASS(TPainter, TCustomControl)

 public:
  TColor PaintColor;
  int Paints;

 protected:
  void Paint() override
  {
    ++Paints;
    GetCanvas()->GetBrush()->SetColor(PaintColor);
    const TRect client = GetClientRect();
    GetCanvas()->FillRect({0, 0, client.right - 10, client.bottom});
  }
};

class TTopPainter : public TPainter {
  RTL_CLASS(TTopPainter, TPainter)

 public:
  void Create(TComponent* AOwner) override
  {
    inherited::Create(AOwner);
    FVisible = false;
  }

 protected:
  void CreateParams(TCreateParams& AParams) override
  {
    inherited::CreateParams(AParams);
    AParams.Style = WS_POPUP | WS_CLIPCHILDREN;
    AParams.WndParent = nullptr;
  }
  bool IsTopLevelHost() const override { return true; }
};

// Draws nothing: what shows where it stands is what the parent painted, or
// for an opaque one the parent's background.
class TBlank : public TGraphicControl {
  RTL_CLASS(TBlank, TGraphicControl)
};

class TSpot : public TGraphicControl {
  RTL_CLASS(TSpot, TGraphicControl)

 protected:
  void Paint() override
  {
    GetCanvas()->GetBrush()->SetColor(GetColor());
    GetCanvas()->FillRect({0, 0, GetWidth(), GetHeight()});
  }
};

template <class T>
T* MakeChild(TWinControl* AParent, TRect ABounds, TColor AColor)
{
  T* child = rtl::New<T>(AParent);
  child->SetBoundsRect(ABounds);
  child->SetColor(AColor);
  child->SetParent(AParent);
  return child;
}

struct TDCObjects {
  HGDIOBJ Brush;
  HGDIOBJ Pen;
  HGDIOBJ Font;
  explicit TDCObjects(HDC ADC)
      : Brush(GetCurrentObject(ADC, OBJ_BRUSH)),
        Pen(GetCurrentObject(ADC, OBJ_PEN)),
        Font(GetCurrentObject(ADC, OBJ_FONT))
  {
  }
  bool operator==(const TDCObjects&) const = default;
};

class ControlsPaintTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    FTop.reset(rtl::New<TTopPainter>(nullptr));
    FTop->SetBounds(0, 0, 100, 60);
    FTop->SetColor(kRed);
    FTop->PaintColor = kYellow;
  }

  rtl::TOwnedPtr<TTopPainter> FTop;
};

TEST_F(ControlsPaintTest, PaintToDrawsTheControlItsChildrenAndLeavesTheDCAsItWas)
{
  MakeChild<TSpot>(FTop.get(), {5, 5, 15, 15}, kGreen);
  MakeChild<TBlank>(FTop.get(), {20, 5, 30, 15}, kGreen);
  TBlank* opaque = MakeChild<TBlank>(FTop.get(), {35, 5, 45, 15}, kGreen);
  opaque->SetControlStyle(opaque->GetControlStyle() + TControlStyle{csOpaque});
  TPainter* windowed = MakeChild<TPainter>(FTop.get(), {50, 20, 80, 50}, kBlue);
  windowed->PaintColor = kGreen;
  FTop->Show();

  TSurface surface(120, 80, 0);
  const TDCObjects before(surface.DC());
  FTop->PaintTo(surface.DC(), 10, 10);
  EXPECT_EQ(TDCObjects(surface.DC()), before);

  const struct {
    int X;
    int Y;
    TColor Expected;
    const char* What;
  } samples[] = {
      {12, 12, kYellow, "the control's own painting"},
      {105, 12, kRed, "its background where Paint left a gap"},
      {17, 17, kGreen, "a non-windowed child painted over it"},
      {32, 17, kYellow, "a transparent child that draws nothing"},
      {47, 17, kRed, "an opaque child that draws nothing: cut out of the painting"},
      {62, 32, kGreen, "a windowed child painted at its place"},
      {87, 32, kBlue, "the windowed child's background"},
      {115, 75, 0, "nothing outside the control"},
  };
  for (const auto& s : samples)
    EXPECT_EQ(surface.Pixel(s.X, s.Y), AsPixel(s.Expected)) << s.What;
}

TEST_F(ControlsPaintTest, TheWindowPaintsThroughWMPaintAndWMPrint)
{
  FTop->Show();
  for (bool doubleBuffered : {false, true}) {
    FTop->SetDoubleBuffered(doubleBuffered);
    FTop->Paints = 0;
    InvalidateRect(FTop->GetHandle(), nullptr, TRUE);
    UpdateWindow(FTop->GetHandle());
    EXPECT_EQ(FTop->Paints, 1) << doubleBuffered;

    TSurface surface(100, 60, 0);
    ASSERT_TRUE(PrintWindow(FTop->GetHandle(), surface.DC(), 0));
    EXPECT_EQ(surface.Pixel(5, 5), AsPixel(kYellow)) << doubleBuffered;
    EXPECT_EQ(surface.Pixel(95, 5), AsPixel(kRed)) << doubleBuffered;
  }
}

TEST_F(ControlsPaintTest, ACanvasDCTakenOutsidePaintingGoesBackAfterTheMessage)
{
  FTop->Show();
  TCanvas* canvas = FTop->GetCanvas();
  ASSERT_NE(canvas->GetHandle(), nullptr);
  EXPECT_TRUE(canvas->HandleAllocated());
  SendMessageW(FTop->GetHandle(), WM_NULL, 0, 0);
  EXPECT_FALSE(canvas->HandleAllocated());

  // The canvas of a non-windowed control draws on its parent's window at
  // the control's place.
  TSpot* spot = MakeChild<TSpot>(FTop.get(), {40, 30, 50, 40}, kGreen);
  HDC dc = spot->GetCanvas()->GetHandle();
  POINT origin{};
  GetViewportOrgEx(dc, &origin);
  EXPECT_EQ(origin.x, 40);
  EXPECT_EQ(origin.y, 30);
  FreeDeviceContexts();
  EXPECT_FALSE(spot->GetCanvas()->HandleAllocated());
}

TEST(ControlsMouse, TheMouseObjectIsSharedAndReadsTheSystemSettings)
{
  TMouse* mouse = Mouse();
  EXPECT_EQ(mouse, Mouse());
  EXPECT_EQ(mouse->GetDragThreshold(), 5);
  UINT lines = 0;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  EXPECT_EQ(mouse->GetWheelScrollLines(), lines == WHEEL_PAGESCROLL ? -1 : static_cast<int>(lines));
}

}  // namespace
}  // namespace vcl
