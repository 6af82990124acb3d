#include "controls/dxRightToLeftLayout.h"

#include <gtest/gtest.h>

#include "tests/controls/ControlsTestSupport.h"

namespace {

using TConverter = TdxRightToLeftLayoutConverter;

constexpr TRect ParentRect{0, 0, 100, 50};

TEST(dxRightToLeftLayoutConverter, MirrorsCoordinatesInsideTheParent)
{
  EXPECT_EQ(TConverter::ConvertXCoordinate(10, ParentRect), 90);
  EXPECT_EQ(TConverter::ConvertXCoordinate(10, TRect{20, 0, 120, 50}), 130);
  EXPECT_EQ(TConverter::ConvertPoint({10, 7}, ParentRect), (TPoint{90, 7}));

  struct {
    TRect Rect, Parent, Expected;
  } const cases[] = {
      {{10, 5, 30, 15}, ParentRect, {70, 5, 90, 15}},
      {{0, 0, 100, 50}, ParentRect, {0, 0, 100, 50}},
      {{30, 1, 40, 2}, {20, 0, 60, 10}, {40, 1, 50, 2}},
      // The empty rectangle means "none" and stays.
      {{0, 0, 0, 0}, {20, 0, 60, 10}, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    const TRect mirrored = TConverter::ConvertRect(c.Rect, c.Parent);
    EXPECT_EQ(mirrored, c.Expected);
    EXPECT_EQ(TConverter::ConvertRect(mirrored, c.Parent), c.Rect) << "mirroring twice gives the start";
  }
  EXPECT_EQ(TConverter::ConvertOffsets({1, 2, 3, 4}), (TRect{3, 2, 1, 4}));
}

TEST(dxRightToLeftLayoutConverter, SwapsOnlyTheHorizontalValues)
{
  EXPECT_EQ(TConverter::ConvertAlignment(rtl::TAlignment::taLeftJustify), rtl::TAlignment::taRightJustify);
  EXPECT_EQ(TConverter::ConvertAlignment(rtl::TAlignment::taRightJustify), rtl::TAlignment::taLeftJustify);
  EXPECT_EQ(TConverter::ConvertAlignment(rtl::TAlignment::taCenter), rtl::TAlignment::taCenter);

  EXPECT_EQ(TConverter::ConvertcxTextAlignX(taLeft), taRight);
  EXPECT_EQ(TConverter::ConvertcxTextAlignX(taRight), taLeft);
  for (const TcxTextAlignX kept : {taCenterX, taJustifyX, taDistributeX})
    EXPECT_EQ(TConverter::ConvertcxTextAlignX(kept), kept);

  const int drawTextCases[][2] = {{0, 0}, {1, 2}, {2, 1}, {3, 3}};
  for (const auto& c : drawTextCases)
    EXPECT_EQ(TConverter::ConvertcxDrawTextAlignment(c[0]), c[1]) << c[0];

  EXPECT_EQ(TConverter::ConvertPopupAlignHorz(TcxPopupAlignHorz::pahLeft), TcxPopupAlignHorz::pahRight);
  EXPECT_EQ(TConverter::ConvertPopupAlignHorz(TcxPopupAlignHorz::pahCenter), TcxPopupAlignHorz::pahCenter);
  EXPECT_EQ(TConverter::ConvertPopupAlignment(vcl::TPopupAlignment::paRight), vcl::TPopupAlignment::paLeft);
  EXPECT_EQ(TConverter::ConvertPopupAlignment(vcl::TPopupAlignment::paCenter), vcl::TPopupAlignment::paCenter);
  EXPECT_EQ(TConverter::ConvertDirection(TcxDirection::dirLeft), TcxDirection::dirRight);
  EXPECT_EQ(TConverter::ConvertDirection(TcxDirection::dirUp), TcxDirection::dirUp);
  EXPECT_EQ(TConverter::ConvertArrowDirection(TcxArrowDirection::adRight), TcxArrowDirection::adLeft);
  EXPECT_EQ(TConverter::ConvertArrowDirection(TcxArrowDirection::adDown), TcxArrowDirection::adDown);
  EXPECT_EQ(TConverter::ConvertVirtualKeyCode(VK_LEFT), VK_RIGHT);
  EXPECT_EQ(TConverter::ConvertVirtualKeyCode(VK_RIGHT), VK_LEFT);
  EXPECT_EQ(TConverter::ConvertVirtualKeyCode(VK_UP), VK_UP);
}

TEST(dxRightToLeftLayoutConverter, SwapsASetWithExactlyOneHorizontalMember)
{
  using enum vcl::TAnchorKind;
  struct {
    vcl::TAnchors Anchors, Expected;
  } const anchorCases[] = {
      {{akLeft, akTop}, {akRight, akTop}},
      {{akRight, akBottom}, {akLeft, akBottom}},
      {{akLeft, akRight}, {akLeft, akRight}},
      {{akTop}, {akTop}},
      {{}, {}},
  };
  for (const auto& c : anchorCases)
    EXPECT_EQ(TConverter::ConvertAnchors(c.Anchors), c.Expected);

  EXPECT_EQ(TConverter::ConvertBorders({TcxBorder::bLeft, TcxBorder::bBottom}),
            (TcxBorders{TcxBorder::bRight, TcxBorder::bBottom}));
  EXPECT_EQ(TConverter::ConvertBorders({TcxBorder::bLeft, TcxBorder::bRight}),
            (TcxBorders{TcxBorder::bLeft, TcxBorder::bRight}));
  EXPECT_EQ(TConverter::ConvertNeighbors({TcxNeighbor::nRight}), (TcxNeighbors{TcxNeighbor::nLeft}));
  EXPECT_EQ(TConverter::ConvertNeighbors({TcxNeighbor::nTop}), (TcxNeighbors{TcxNeighbor::nTop}));
}

}  // namespace
