#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pagecontrol/cxPC.h"
#include "pagecontrol/cxPCGoDialog.h"
#include "pagecontrol/cxPCPainters.h"
#include "pagecontrol/dxBuiltInPopupMenu.h"
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

}  // namespace
