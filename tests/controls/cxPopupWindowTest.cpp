#include "controls/cxPopupWindow.h"

#include <gtest/gtest.h>

#include "controls/cxWindowUtils.h"
#include "tests/controls/ControlsTestSupport.h"
#include "tests/support/TestHost.h"

namespace {

// A popup placed against a work area of 800 x 600 at the origin, whatever
// the display is.
class TPopupWindowTestPopup : public TcxPopupWindow {
  RTL_CLASS(TPopupWindowTestPopup, TcxPopupWindow)

 public:
  TPoint Place(const TSize& ASize)
  {
    TPoint pos{};
    CalculatePosition(ASize, pos);
    return pos;
  }
  TSize Measure()
  {
    TSize size{GetWidth(), GetHeight()};
    CalculateSize(size);
    return size;
  }

 protected:
  TRect GetWorkArea(const TPoint& /*P*/) override { return {0, 0, 800, 600}; }
};

using H = TcxPopupAlignHorz;
using V = TcxPopupAlignVert;
using D = TcxPopupDirection;

TEST(cxPopupWindow, PlacesFlipsAndFitsAgainstTheWorkArea)
{
  struct {
    const char* Name;
    TRect Owner;
    D Direction;
    H AlignHorz;
    V AlignVert;
    TSize Size;
    bool AcceptAnyPosition;
    TPoint Expected;
    H ExpectedHorz;
    V ExpectedVert;
  } const cases[] = {
      {"below, left-aligned", {100, 100, 200, 120}, D::pdVertical, H::pahLeft, V::pavBottom, {150, 80}, false,
       {100, 120}, H::pahLeft, V::pavBottom},
      {"no room below, more above: flips up", {100, 550, 200, 570}, D::pdVertical, H::pahLeft, V::pavBottom,
       {150, 80}, false, {100, 470}, H::pahLeft, V::pavTop},
      {"no room below, as much below: stays, not moved up", {100, 250, 200, 270}, D::pdVertical, H::pahLeft,
       V::pavBottom, {150, 400}, false, {100, 270}, H::pahLeft, V::pavBottom},
      {"no room above: flips down", {100, 20, 200, 40}, D::pdVertical, H::pahLeft, V::pavTop, {150, 80}, false,
       {100, 40}, H::pahLeft, V::pavBottom},
      {"any position accepted: no flip", {100, 550, 200, 570}, D::pdVertical, H::pahLeft, V::pavBottom, {150, 80},
       true, {100, 570}, H::pahLeft, V::pavBottom},
      {"right-aligned", {700, 100, 790, 120}, D::pdVertical, H::pahRight, V::pavBottom, {150, 80}, false,
       {640, 120}, H::pahRight, V::pavBottom},
      {"left-aligned past the right edge: shifted left", {700, 100, 790, 120}, D::pdVertical, H::pahLeft,
       V::pavBottom, {150, 80}, false, {650, 120}, H::pahLeft, V::pavBottom},
      {"centred past the right edge: shifted left", {740, 100, 780, 120}, D::pdVertical, H::pahCenter,
       V::pavBottom, {200, 50}, false, {600, 120}, H::pahCenter, V::pavBottom},
      {"centred vertically beside nothing", {100, 100, 200, 120}, D::pdVertical, H::pahLeft, V::pavCenter,
       {150, 80}, false, {100, 70}, H::pahLeft, V::pavCenter},
      {"wider than the area: left edge on the area's", {100, 100, 200, 120}, D::pdVertical, H::pahLeft,
       V::pavBottom, {900, 80}, false, {0, 120}, H::pahLeft, V::pavBottom},
      {"beside, to the right", {100, 100, 200, 120}, D::pdHorizontal, H::pahRight, V::pavTop, {150, 80}, false,
       {200, 100}, H::pahRight, V::pavTop},
      {"beside, bottom-aligned", {100, 100, 200, 120}, D::pdHorizontal, H::pahRight, V::pavBottom, {150, 80},
       false, {200, 40}, H::pahRight, V::pavBottom},
      {"no room right, more left: flips left", {700, 100, 780, 120}, D::pdHorizontal, H::pahRight, V::pavTop,
       {150, 80}, false, {550, 100}, H::pahLeft, V::pavTop},
      {"no room left: flips right", {20, 100, 80, 120}, D::pdHorizontal, H::pahLeft, V::pavTop, {150, 80}, false,
       {80, 100}, H::pahRight, V::pavTop},
      {"beside, past the bottom: shifted up", {100, 560, 200, 580}, D::pdHorizontal, H::pahRight, V::pavTop,
       {150, 80}, false, {200, 520}, H::pahRight, V::pavTop},
  };
  rtl::TOwnedPtr<TPopupWindowTestPopup> popup(rtl::New<TPopupWindowTestPopup>());
  for (const auto& c : cases) {
    popup->SetOwnerBounds(c.Owner);
    popup->SetDirection(c.Direction);
    popup->SetAlignHorz(c.AlignHorz);
    popup->SetAlignVert(c.AlignVert);
    popup->SetAcceptAnyPosition(c.AcceptAnyPosition);
    EXPECT_EQ(popup->Place(c.Size), c.Expected) << c.Name;
    EXPECT_EQ(popup->GetAlignHorz(), c.ExpectedHorz) << c.Name;
    EXPECT_EQ(popup->GetAlignVert(), c.ExpectedVert) << c.Name;
  }
}

TEST(cxPopupWindow, SizesToItsChildrenAndKeepsThemInPlaceAcrossBorderChanges)
{
  rtl::TOwnedPtr<TPopupWindowTestPopup> popup(rtl::New<TPopupWindowTestPopup>());
  popup->SetBounds(0, 0, 33, 44);
  EXPECT_EQ(popup->Measure(), (TSize{33, 44})) << "no children: the form keeps its size";

  auto* child = rtl::New<kvtest::TTestPanel>(popup.get());
  child->SetBounds(5, 6, 100, 50);
  child->SetParent(popup.get());
  popup->SetPopupBorderStyle(TcxPopupBorderStyle::pbs3D);
  popup->SetBorderSpace(3);
  EXPECT_EQ(popup->Measure(), (TSize{5 + 100 + 2 * 5, 6 + 50 + 2 * 5}));
  EXPECT_EQ(child->GetLeft(), 10);
  EXPECT_EQ(child->GetTop(), 11);
  EXPECT_EQ(popup->Measure(), (TSize{115, 66})) << "a popup shown again neither grows nor moves its children";
  EXPECT_EQ(child->GetLeft(), 10);

  // A border change moves the children back; the next sizing moves them in
  // by the new border, so they keep their place in the client bounds.
  popup->SetPopupBorderStyle(TcxPopupBorderStyle::pbsFlat);
  EXPECT_EQ(child->GetLeft(), 5);
  EXPECT_EQ(popup->Measure(), (TSize{5 + 100 + 2 * 4, 6 + 50 + 2 * 4}));
  EXPECT_EQ(child->GetLeft() - 4, 5);
  EXPECT_EQ(child->GetTop() - 4, 6);

  popup->SetAdjustable(false);
  popup->SetBounds(0, 0, 70, 30);
  EXPECT_EQ(popup->Measure(), (TSize{70, 30})) << "a non-adjustable popup keeps its own size";
}

class cxPopupWindowHostedTest : public kvtest::THostedTest {};

TEST_F(cxPopupWindowHostedTest, OwnerBoundsFollowTheOwnerAndItsRightToLeftLayout)
{
  auto* owner = AddChild<kvtest::TTestPanel>({20, 30, 220, 130});
  rtl::TOwnedPtr<TPopupWindowTestPopup> popup(rtl::New<TPopupWindowTestPopup>());
  popup->SetOwnerParent(owner);
  popup->SetOwnerBounds({10, 5, 60, 25});
  const TPoint origin = cxClientToScreenPoint(owner->GetHandle(), {0, 0});
  EXPECT_EQ(popup->GetOwnerScreenBounds(), (TRect{origin.x + 10, origin.y + 5, origin.x + 60, origin.y + 25}));

  // Mirrored inside the owner's client area (200 wide) only when asked to.
  cxModifyWindowLong(owner->GetHandle(), 1, WS_EX_LAYOUTRTL, TcxWindowLongMode::Include);
  const TPoint plain = owner->ClientToScreen(TPoint{10, 5});
  EXPECT_EQ(popup->GetOwnerScreenBounds(), (TRect{plain.x, plain.y, plain.x + 50, plain.y + 20}));
  popup->SetIsOwnerBoundsRTLDependent(true);
  const TPoint mirrored = owner->ClientToScreen(TPoint{200 - 60, 5});
  EXPECT_EQ(popup->GetOwnerScreenBounds(), (TRect{mirrored.x, mirrored.y, mirrored.x + 50, mirrored.y + 20}));
  EXPECT_NE(mirrored.x, plain.x);
}

}  // namespace
