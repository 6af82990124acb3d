#include "controls/cxPopupMenus.h"

#include <gtest/gtest.h>

#include "core/cxClassesComponents.h"
#include "tests/controls/ControlsTestSupport.h"

namespace {

// A popup menu of the system's own kind: records how it was asked to show.
class TPopupMenusTestMenu : public rtl::TComponent, public IcxPopupMenu2 {
  RTL_CLASS(TPopupMenusTestMenu, rtl::TComponent)
  RTL_INTERFACES(IcxPopupMenu, IcxPopupMenu2)

 public:
  bool __stdcall IsShortCut(vcl::TWMKey& AMessage) override { return AMessage.CharCode == 'K'; }
  void __stdcall Popup(int X, int Y) override { Shown = {X, Y}; }
  void __stdcall PopupFromButton(int X, int Y, vcl::TPopupAlignment AAlignment, const TRect& AButtonRect) override
  {
    Shown = {X, Y};
    Alignment = AAlignment;
    ButtonRect = AButtonRect;
  }

  TPoint Shown;
  vcl::TPopupAlignment Alignment;
  TRect ButtonRect;
};

TEST(cxPopupMenus, TellsMenusFromOtherComponents)
{
  rtl::TOwnedPtr<rtl::TComponent> owner(rtl::New<rtl::TComponent>(nullptr));
  auto* framework = rtl::New<vcl::TPopupMenu>(owner.get());
  auto* own = rtl::New<TPopupMenusTestMenu>(owner.get());
  auto* other = rtl::New<rtl::TComponent>(owner.get());
  EXPECT_TRUE(cxIsPopupMenu(framework));
  EXPECT_TRUE(cxIsPopupMenu(own));
  EXPECT_FALSE(cxIsPopupMenu(other));
  EXPECT_FALSE(cxIsPopupMenu(nullptr));

  EXPECT_FALSE(cxShowPopupMenu(owner.get(), other, 1, 2)) << "neither kind of menu";
  EXPECT_FALSE(cxShowDropDownMenu(owner.get(), other, {0, 0, 10, 10}, vcl::TPopupAlignment::paLeft));
  framework->SetAutoPopup(false);
  EXPECT_FALSE(cxShowPopupMenu(owner.get(), framework, 1, 2)) << "AutoPopup off";
  EXPECT_FALSE(cxShowDropDownMenu(owner.get(), framework, {0, 0, 10, 10}, vcl::TPopupAlignment::paLeft));

  EXPECT_TRUE(cxShowPopupMenuAtPoint(owner.get(), own, {30, 40}));
  EXPECT_EQ(own->Shown, (TPoint{30, 40}));
  vcl::TWMKey key{};
  key.CharCode = 'K';
  EXPECT_TRUE(cxPopupMenuIsShortCut(own, key));
  EXPECT_FALSE(cxPopupMenuIsShortCut(framework, key)) << "a menu without items has no short cuts";
  EXPECT_FALSE(cxPopupMenuIsShortCut(other, key));
}

TEST(cxPopupMenus, DropsDownBelowTheButtonByAlignment)
{
  const TRect button{100, 50, 151, 70};
  struct {
    vcl::TPopupAlignment Alignment;
    bool RightToLeft;
    TPoint Expected;
  } const cases[] = {
      {vcl::TPopupAlignment::paLeft, false, {100, 70}},  {vcl::TPopupAlignment::paRight, false, {151, 70}},
      {vcl::TPopupAlignment::paCenter, false, {125, 70}}, {vcl::TPopupAlignment::paLeft, true, {151, 70}},
      {vcl::TPopupAlignment::paRight, true, {100, 70}},  {vcl::TPopupAlignment::paCenter, true, {125, 70}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(cxGetDropDownMenuPoint(button, c.Alignment, c.RightToLeft), c.Expected);

  rtl::TOwnedPtr<TPopupMenusTestMenu> menu(rtl::New<TPopupMenusTestMenu>(nullptr));
  EXPECT_TRUE(cxShowDropDownMenu(nullptr, menu.get(), button, vcl::TPopupAlignment::paRight));
  EXPECT_EQ(menu->Shown, (TPoint{151, 70}));
  EXPECT_EQ(menu->Alignment, vcl::TPopupAlignment::paRight) << "the alignment as passed in";
  EXPECT_EQ(menu->ButtonRect, button);
}

TEST(cxPopupMenus, EstimatesTheMenuHeightByColumns)
{
  rtl::TOwnedPtr<vcl::TPopupMenu> menu(rtl::New<vcl::TPopupMenu>(nullptr));
  EXPECT_EQ(cxEstimatePopupMenuHeight(menu.get()), 4);
  vcl::TMenuItem* items = menu->GetItems();
  for (int i = 0; i < 3; ++i) {
    auto* item = rtl::New<vcl::TMenuItem>(menu.get());
    item->SetCaption(L"Item");
    items->Add(item);
  }
  const int threeRows = cxEstimatePopupMenuHeight(menu.get());
  const int row = (threeRows - 4) / 3;
  EXPECT_GT(row, 4);
  items->GetItems(2)->SetVisible(false);
  EXPECT_EQ(cxEstimatePopupMenuHeight(menu.get()), 2 * row + 4) << "hidden items take no room";
  items->GetItems(2)->SetVisible(true);
  items->GetItems(1)->SetBreak(vcl::TMenuBreak::mbBreak);
  EXPECT_EQ(cxEstimatePopupMenuHeight(menu.get()), 2 * row + 4) << "the tallest of two columns";
}

}  // namespace
