#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pagecontrol/cxPC.h"
#include "pagecontrol/cxPCGoDialog.h"
#include "pagecontrol/cxPCPainters.h"
#include "pagecontrol/dxBuiltInPopupMenu.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Menus.h"
#include "tests/pagecontrol/PageControlTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

// A hidden window of the thread: keys posted to it reach the menu's loop
// once the menu shows, so the menu closes without a user.
class TGoDialogKeyWindow {
 public:
  TGoDialogKeyWindow()
      : FHandle(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr))
  {
  }
  ~TGoDialogKeyWindow()
  {
    kvtest::PumpMessages();
    DestroyWindow(FHandle);
  }
  TGoDialogKeyWindow(const TGoDialogKeyWindow&) = delete;
  TGoDialogKeyWindow& operator=(const TGoDialogKeyWindow&) = delete;

  void PostKey(WORD AKey) const { PostMessageW(FHandle, WM_KEYDOWN, AKey, 0); }
  void PostChar(wchar_t AChar) const { PostMessageW(FHandle, WM_CHAR, AChar, 0); }

 private:
  HWND FHandle;
};

// Tabs "Gamma" (hidden), "&Beta", "Alpha", "Delta" (disabled) on a
// windowless control, and a go dialog that records the chosen visible
// indexes.
struct TGoDialogFixture {
  pctest::TPCControlPtr Control = pctest::NewControl(300, 120);
  rtl::TOwnedPtr<TcxPCGoDialog> Dialog;
  std::vector<int> Clicks;

  TGoDialogFixture()
  {
    Control->SetPainterClass(TcxPCPainterClass::Of<TcxPCTabsPainter>());
    TcxTabs* tabs = Control->GetProperties()->GetTabs();
    for (const wchar_t* caption : {L"Gamma", L"&Beta", L"Alpha", L"Delta"})
      tabs->Add(caption);
    tabs->GetTab(0)->SetVisible(false);
    tabs->GetTab(3)->SetEnabled(false);
    Control->GetProperties()->SetTabIndex(2);
    Control->GetViewInfo()->Calculate();
    Dialog.reset(rtl::New<TcxPCGoDialog>(Control.get()));
    Dialog->SetOnClick(TcxPCGoDialogClickEvent::Bind<&TGoDialogFixture::Click>(this));
  }
  void Click(int ATabVisibleIndex) { Clicks.push_back(ATabVisibleIndex); }
  vcl::TMenuItem* Item(int AIndex) { return rtl::As<vcl::TMenuItem>(Dialog->GetAdapter()->GetItem(AIndex)); }
  std::vector<std::wstring> Captions()
  {
    std::vector<std::wstring> result;
    for (int i = 0; i < Dialog->GetAdapter()->GetItemCount(); ++i)
      result.push_back(Item(i)->GetCaption());
    return result;
  }
};

TEST(cxPCGoDialog, ListsTheTabsThatCanBeChosen)
{
  struct {
    const char* Name;
    bool Sort;
    std::vector<std::wstring> Captions;
  } const cases[] = {
      {"tab order", false, {L"&Beta", L"Alpha"}},
      {"sorted without the accelerator marks", true, {L"Alpha", L"&Beta"}},
  };
  for (const auto& c : cases) {
    TGoDialogFixture fixture;
    if (c.Sort)
      fixture.Control->GetProperties()->SetOptions(cxPCDefaultOptions + TcxPCOptions{TcxPCOption::pcoSort});
    const TGoDialogKeyWindow keys;
    keys.PostKey(VK_ESCAPE);
    EXPECT_TRUE(fixture.Dialog->Popup(10, 10)) << c.Name;
    EXPECT_EQ(fixture.Captions(), c.Captions) << c.Name;
    EXPECT_TRUE(fixture.Clicks.empty()) << c.Name;
    // Only the active tab is checked and default.
    for (int i = 0; i < fixture.Dialog->GetAdapter()->GetItemCount(); ++i) {
      const bool active = fixture.Item(i)->GetCaption() == L"Alpha";
      EXPECT_EQ(fixture.Item(i)->GetChecked(), active) << c.Name << " " << i;
      EXPECT_EQ(fixture.Item(i)->GetDefault(), active) << c.Name << " " << i;
    }
  }
}

TEST(cxPCGoDialog, ChoosingAnItemPassesTheTabsVisibleIndex)
{
  struct {
    const char* Name;
    bool Accelerator;
    int Clicked;
  } const cases[] = {
      // "&Beta" is tab 1 behind the hidden tab, visible index 0.
      {"by its accelerator", true, 0},
      {"by the arrow keys", false, 1},
  };
  for (const auto& c : cases) {
    TGoDialogFixture fixture;
    const TGoDialogKeyWindow keys;
    if (c.Accelerator) {
      keys.PostChar(L'b');
    } else {
      keys.PostKey(VK_DOWN);
      keys.PostKey(VK_DOWN);
      keys.PostChar(L'\r');
    }
    // Closes the menu should the keys above not have.
    keys.PostKey(VK_ESCAPE);
    fixture.Dialog->Popup(10, 10);
    EXPECT_EQ(fixture.Clicks, std::vector<int>{c.Clicked}) << c.Name;
  }
}

TEST(cxPCGoDialog, WithNoTabTheEmptyMenuIsStillCleared)
{
  TGoDialogFixture fixture;
  const TGoDialogKeyWindow keys;
  keys.PostKey(VK_ESCAPE);
  fixture.Dialog->Popup(10, 10);
  ASSERT_EQ(fixture.Dialog->GetAdapter()->GetItemCount(), 2);
  fixture.Control->GetProperties()->GetTabs()->Clear();
  fixture.Control->GetViewInfo()->Calculate();
  fixture.Dialog->Popup(10, 10);
  EXPECT_EQ(fixture.Dialog->GetAdapter()->GetItemCount(), 0);
}

TEST(cxPCGoDialog, TakesTheAdapterClassOnce)
{
  TGoDialogFixture fixture;
  TdxCustomBuiltInPopupMenuAdapter* adapter = fixture.Dialog->GetAdapter();
  ASSERT_TRUE(rtl::Is<TdxStandardBuiltInPopupMenuAdapter>(adapter));
  // Without any registered class a new dialog has no adapter and shows
  // nothing instead of failing.
  TdxBuiltInPopupMenuAdapterManager::Unregister(TdxCustomBuiltInPopupMenuAdapterClass::Of<TdxStandardBuiltInPopupMenuAdapter>());
  const rtl::TOwnedPtr<TcxPCGoDialog> other(rtl::New<TcxPCGoDialog>(fixture.Control.get()));
  EXPECT_EQ(other->GetAdapter(), nullptr);
  EXPECT_FALSE(other->Popup(10, 10));
  EXPECT_EQ(fixture.Dialog->GetAdapter(), adapter);
  TdxBuiltInPopupMenuAdapterManager::Register(TdxCustomBuiltInPopupMenuAdapterClass::Of<TdxStandardBuiltInPopupMenuAdapter>());
}

// A menu that closes at once; when asked, it leaves a press at the control
// where the user clicked to close it, as a click outside a real menu does.
class TGoDialogClosingAdapter : public TdxStandardBuiltInPopupMenuAdapter {
  RTL_CLASS(TGoDialogClosingAdapter, TdxStandardBuiltInPopupMenuAdapter)

 public:
  // Plain values: the adapter is made by class, inside the controller.
  static inline int Popups = 0;
  static inline HWND ClosingPressWindow = nullptr;
  static inline POINT ClosingPress{};

  bool Popup(const TPoint&) override
  {
    ++Popups;
    if (ClosingPressWindow)
      PostMessageW(ClosingPressWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ClosingPress.x, ClosingPress.y));
    return true;
  }
};

// The press that closed the list lands on the go-dialog button: it must not
// open the list again. A later press does.
TEST(cxPCGoDialog, ThePressThatClosedTheListDoesNotReopenIt)
{
  const rtl::TOwnedPtr<vcl::TForm> form(
      rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(vcl::Application()); }));
  form->SetBounds(0, 0, 320, 200);
  TcxPageControl* pages = rtl::New<TcxPageControl>(form.get());
  pages->SetParent(form.get());
  pages->SetBounds(0, 0, 300, 150);
  for (const wchar_t* caption : {L"Model", L"CRUD"}) {
    TcxTabSheet* page = rtl::New<TcxTabSheet>(form.get());
    page->SetCaption(caption);
    page->SetPageControl(pages);
  }
  pages->GetPropertiesObject()->SetOptions(cxPCDefaultOptions + TcxPCOptions{TcxPCOption::pcoGoDialog});
  form->Show();
  const auto adapterClass = TdxCustomBuiltInPopupMenuAdapterClass::Of<TGoDialogClosingAdapter>();
  TdxBuiltInPopupMenuAdapterManager::Register(adapterClass);
  TcxCustomTabControlViewInfo* viewInfo = pages->GetViewInfo();
  TRect button{};
  for (int i = 0; i < viewInfo->NavigatorButtonCount(); ++i)
    if (viewInfo->GetNavigatorButtonInfo(i).Kind == TcxPCNavigatorButton::nbGoDialog)
      button = viewInfo->GetNavigatorButtonInfo(i).Bounds;
  ASSERT_LT(button.left, button.right);
  const POINT centre{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
  const HWND handle = pages->GetHandle();
  const auto click = [&] {
    SendMessageW(handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    SendMessageW(handle, WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
    // The press the menu left behind, and its release.
    kvtest::PumpMessages();
    SendMessageW(handle, WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
  };
  struct {
    const char* Name;
    bool ClosedByAPressOnTheButton;
    int Popups;
  } cases[] = {
      {"closed by a press on the button", true, 1},
      {"closed otherwise, a later press opens it", false, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TGoDialogClosingAdapter::Popups = 0;
    TGoDialogClosingAdapter::ClosingPressWindow = c.ClosedByAPressOnTheButton ? handle : nullptr;
    TGoDialogClosingAdapter::ClosingPress = centre;
    click();
    EXPECT_EQ(TGoDialogClosingAdapter::Popups, c.Popups);
    EXPECT_FALSE(pages->GetController()->IsGoDialogShowing());
    // The next click of the user opens the list again.
    TGoDialogClosingAdapter::ClosingPressWindow = nullptr;
    click();
    EXPECT_EQ(TGoDialogClosingAdapter::Popups, c.Popups + 1);
  }
  TdxBuiltInPopupMenuAdapterManager::Unregister(adapterClass);
  form->Hide();
}

// The go-dialog menu opens beside its button toward the page, flush with
// the button's edge on the navigator's side.
TEST(cxPCGoDialog, TheMenuOpensBesideItsButtonTowardThePage)
{
  using enum TcxPCNavigatorPosition;
  using enum TcxTabPosition;
  enum TPlace { BelowLeft, BelowRight, AboveLeft, AboveRight };
  struct {
    TcxTabPosition Tabs;
    TcxPCNavigatorPosition Navigator;
    TPlace Place;
  } cases[] = {
      {tpTop, npLeftTop, BelowLeft},      {tpTop, npRightBottom, BelowRight}, {tpBottom, npLeftBottom, AboveLeft},
      {tpBottom, npRightTop, AboveRight}, {tpLeft, npRightTop, BelowLeft},    {tpLeft, npLeftBottom, AboveLeft},
      {tpRight, npLeftTop, BelowRight},   {tpRight, npRightBottom, AboveRight},
  };
  const TSize menu{80, 40};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.Tabs)) + " " + std::to_string(static_cast<int>(c.Navigator)));
    TGoDialogFixture fixture;
    TcxCustomTabControlProperties* properties = fixture.Control->GetProperties();
    properties->SetOptions(cxPCDefaultOptions + TcxPCOptions{TcxPCOption::pcoGoDialog});
    properties->SetTabPosition(c.Tabs);
    properties->SetNavigatorPosition(c.Navigator);
    TcxCustomTabControlViewInfo* viewInfo = fixture.Control->GetViewInfo();
    viewInfo->Calculate();
    TRect button{};
    for (int i = 0; i < viewInfo->NavigatorButtonCount(); ++i)
      if (viewInfo->GetNavigatorButtonInfo(i).Kind == TcxPCNavigatorButton::nbGoDialog)
        button = viewInfo->GetNavigatorButtonInfo(i).Bounds;
    ASSERT_LT(button.left, button.right);
    const TPoint P = fixture.Control->GetPCPainter()->GetGoDialogPopupPoint(menu);
    const bool below = c.Place == BelowLeft || c.Place == BelowRight;
    const bool left = c.Place == BelowLeft || c.Place == AboveLeft;
    EXPECT_EQ(P.y, below ? button.bottom : button.top - menu.cy);
    EXPECT_EQ(P.x, left ? button.left : button.right - menu.cx);
  }
}

}  // namespace
