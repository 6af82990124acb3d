// The editor unit's small routines: mouse buttons as shift states, the
// messages sent to an editor's window, and the one-pixel frames.
#include <gtest/gtest.h>

#include "editors/cxEdit.h"
#include "graphics/cxGraphics.h"
#include "tests/platform/vcl/GraphicsTestSupport.h"
#include "tests/support/TestHost.h"

namespace {

using vcl::TShiftState;
using vcl::TShiftStateItem;

bool SameRect(const TRect& A, const TRect& B)
{
  return EqualRect(&A, &B);
}

// Keeps the last message it was sent.
class TcxEditRoutinesTestWindow : public kvtest::TTestHost {
  RTL_CLASS(TcxEditRoutinesTestWindow, kvtest::TTestHost)

 public:
  UINT LastMsg;
  WPARAM LastWParam;
  LPARAM LastLParam;

 protected:
  void WndProc(rtl::TMessage& AMessage) override
  {
    if (AMessage.Msg == WM_KEYDOWN || AMessage.Msg == WM_CHAR || AMessage.Msg == WM_MOUSEMOVE) {
      LastMsg = AMessage.Msg;
      LastWParam = AMessage.WParam;
      LastLParam = AMessage.LParam;
    }
    inherited::WndProc(AMessage);
  }
};

TEST(cxEditRoutinesTest, MouseButtonsAndShiftStatesReachTheWindow)
{
  EXPECT_EQ(cxButtonToShift(vcl::TMouseButton::mbLeft), TShiftState{TShiftStateItem::ssLeft});
  EXPECT_EQ(cxButtonToShift(vcl::TMouseButton::mbRight), TShiftState{TShiftStateItem::ssRight});
  EXPECT_EQ(cxButtonToShift(vcl::TMouseButton::mbMiddle), TShiftState{TShiftStateItem::ssMiddle});

  rtl::TOwnedPtr<TcxEditRoutinesTestWindow> window(rtl::New<TcxEditRoutinesTestWindow>(nullptr));
  cxSendMouseMessage(window.get(), WM_MOUSEMOVE, {TShiftStateItem::ssCtrl, TShiftStateItem::ssLeft}, TPoint{7, 9});
  EXPECT_EQ(window->LastMsg, static_cast<UINT>(WM_MOUSEMOVE));
  EXPECT_EQ(window->LastWParam, static_cast<WPARAM>(MK_CONTROL | MK_LBUTTON));
  EXPECT_EQ(window->LastLParam, MAKELPARAM(7, 9));

  cxSendKeyDownMessage(window.get(), VK_F2, {TShiftStateItem::ssShift});
  EXPECT_EQ(window->LastMsg, static_cast<UINT>(WM_KEYDOWN));
  EXPECT_EQ(window->LastWParam, static_cast<WPARAM>(VK_F2));
  EXPECT_EQ(window->LastLParam, 0) << "the shift state is not sent";

  cxSendCharMessage(window.get(), L'x');
  EXPECT_EQ(window->LastMsg, static_cast<UINT>(WM_CHAR));
  EXPECT_EQ(window->LastWParam, static_cast<WPARAM>(L'x'));
}

TEST(cxEditRoutinesTest, FramesDrawTheOuterRingAndShrinkTheRectangle)
{
  vcltest::TSurface surface(12, 12, 0xFFFFFF);
  rtl::TOwnedPtr<vcl::TCanvas> canvas(
      rtl::NewWith<vcl::TCanvas>([&](vcl::TCanvas* C) { C->Create(); C->SetHandle(surface.DC()); }));
  rtl::TOwnedPtr<TcxCanvas> wrapper(rtl::New<TcxCanvas>(canvas.get()));

  TRect R{1, 1, 11, 11};
  cxEditDrawFrame(wrapper.get(), R, 0x0000FF);  // red
  EXPECT_TRUE(SameRect(R, {2, 2, 10, 10}));
  cxEditDrawComplexFrame(wrapper.get(), R, 0x00FF00, 0xFF0000);  // green, blue
  EXPECT_TRUE(SameRect(R, {3, 3, 9, 9}));

  EXPECT_EQ(surface.Pixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(surface.Pixel(1, 1), 0xFF0000u);
  EXPECT_EQ(surface.Pixel(10, 10), 0xFF0000u);
  EXPECT_EQ(surface.Pixel(2, 5), 0x00FF00u) << "left in the first colour";
  EXPECT_EQ(surface.Pixel(5, 2), 0x00FF00u) << "top in the first colour";
  EXPECT_EQ(surface.Pixel(9, 5), 0x0000FFu) << "right in the second colour";
  EXPECT_EQ(surface.Pixel(5, 9), 0x0000FFu) << "bottom in the second colour";
  EXPECT_EQ(surface.Pixel(5, 5), 0xFFFFFFu);
}

}  // namespace
