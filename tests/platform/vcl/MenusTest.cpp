#include <gtest/gtest.h>

#include <vector>

#include "platform/vcl/ImgList.h"
#include "platform/vcl/Menus.h"

namespace vcl {
namespace {

// ---------------------------------------------------------------------------
// Short cuts

TEST(MenusShortCut, TextRoundTrip)
{
  struct Row {
    TShortCut ShortCut;
    const wchar_t* Text;
  };
  const Row rows[] = {
      {'S', L"S"},
      {static_cast<TShortCut>(scCtrl | 'S'), L"Ctrl+S"},
      {static_cast<TShortCut>(scShift | scCtrl | 'Z'), L"Shift+Ctrl+Z"},
      {static_cast<TShortCut>(scAlt | VK_F4), L"Alt+F4"},
      {VK_F12, L"F12"},
      {static_cast<TShortCut>(scShift | scCtrl | scAlt | VK_DELETE), L"Shift+Ctrl+Alt+Del"},
      {VK_RETURN, L"Enter"},
      {static_cast<TShortCut>(scCtrl | VK_PRIOR), L"Ctrl+PgUp"},
      {static_cast<TShortCut>(scCtrl | '0'), L"Ctrl+0"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ShortCutToText(row.ShortCut), row.Text);
    EXPECT_EQ(TextToShortCut(row.Text), row.ShortCut) << row.ShortCut;
  }
}

TEST(MenusShortCut, TextIsReadLeniently)
{
  struct Row {
    const wchar_t* Text;
    TShortCut Expected;
  };
  const Row rows[] = {
      {L"ctrl+s", static_cast<TShortCut>(scCtrl | 'S')},
      {L"Alt+Shift+x", static_cast<TShortCut>(scShift | scAlt | 'X')},
      {L"", scNone},
      {L"Ctrl+", scNone},
      {L"Ctrl+NoSuchKey", scNone},
  };
  for (const Row& row : rows)
    EXPECT_EQ(TextToShortCut(row.Text), row.Expected) << testing::PrintToString(std::wstring(row.Text));
  EXPECT_EQ(ShortCutToText(scNone), L"");
}

TEST(MenusShortCut, KeyAndShiftStateBothWays)
{
  EXPECT_EQ(ShortCut('A', TShiftState{ssCtrl, ssLeft}), scCtrl | 'A') << "mouse buttons do not count";
  EXPECT_EQ(ShortCut(0x1234, TShiftState{}), scNone) << "no key above one byte";
  WORD key = 0;
  TShiftState shift;
  ShortCutToKey(static_cast<TShortCut>(scShift | scAlt | VK_F2), key, shift);
  EXPECT_EQ(key, VK_F2);
  EXPECT_EQ(shift, (TShiftState{ssShift, ssAlt}));
}

TEST(MenusShortCut, StripHotkey)
{
  EXPECT_EQ(StripHotkey(L"&File"), L"File");
  EXPECT_EQ(StripHotkey(L"Save &As..."), L"Save As...");
  EXPECT_EQ(StripHotkey(L"Fish && &Chips"), L"Fish & Chips");
  EXPECT_EQ(StripHotkey(L"Trailing&"), L"Trailing");
  EXPECT_EQ(StripHotkey(L""), L"");
}

// ---------------------------------------------------------------------------
// Items and menus

class TMenusClickRecorder : public rtl::TObject {
  RTL_CLASS(TMenusClickRecorder, rtl::TObject)

 public:
  void Clicked(rtl::TObject* ASender) { Clicks.push_back(static_cast<TMenuItem*>(ASender)); }
  std::vector<TMenuItem*> Clicks;
};

// Answers for the user: records the native menu and picks the item whose
// text is Choose.
class TMenusTestPopupMenu : public TPopupMenu {
  RTL_CLASS(TMenusTestPopupMenu, TPopupMenu)

 public:
  String Choose;
  std::vector<String> Texts;  // "text|flags" of each native entry
  UINT Flags = 0;
  int Shown = 0;

 protected:
  UINT TrackMenu(HMENU AMenu, UINT AFlags, int, int, HWND AWindow) override
  {
    ++Shown;
    Flags = AFlags;
    EXPECT_TRUE(IsWindow(AWindow));
    return Walk(AMenu, L"");
  }

 private:
  UINT Walk(HMENU AMenu, const String& APrefix)
  {
    UINT chosen = 0;
    for (int i = 0; i < GetMenuItemCount(AMenu); ++i) {
      wchar_t text[128] = {};
      MENUITEMINFOW info{};
      info.cbSize = sizeof(info);
      info.fMask = MIIM_STRING | MIIM_STATE | MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
      info.dwTypeData = text;
      info.cch = 128;
      GetMenuItemInfoW(AMenu, i, TRUE, &info);
      String entry = APrefix + (info.fType & MFT_SEPARATOR ? String(L"-") : String(text));
      // Windows reports separators as grayed whatever was asked.
      if ((info.fState & MFS_GRAYED) && !(info.fType & MFT_SEPARATOR))
        entry += L"|grayed";
      if (info.fState & MFS_CHECKED)
        entry += L"|checked";
      if (info.fState & MFS_DEFAULT)
        entry += L"|default";
      Texts.push_back(entry);
      if (String(text) == Choose)
        chosen = info.wID;
      if (info.hSubMenu)
        if (UINT sub = Walk(info.hSubMenu, APrefix + L"  "))
          chosen = sub;
    }
    return chosen;
  }
};

TMenuItem* AddItem(TMenu* AMenu, TMenuItem* AParent, const String& ACaption, TMenusClickRecorder* ARecorder)
{
  TMenuItem* item = rtl::New<TMenuItem>(AMenu);
  item->SetCaption(ACaption);
  if (ARecorder)
    item->SetOnClick(rtl::TNotifyEvent::Bind<&TMenusClickRecorder::Clicked>(ARecorder));
  (AParent ? AParent : AMenu->GetItems())->Add(item);
  return item;
}

TEST(MenusPopup, NativeMenuMirrorsTheItemsAndTheChoiceIsClicked)
{
  rtl::TOwnedPtr<TMenusTestPopupMenu> menu(rtl::New<TMenusTestPopupMenu>(nullptr));
  rtl::TOwnedPtr<TMenusClickRecorder> recorder(rtl::New<TMenusClickRecorder>());
  TMenuItem* copy = AddItem(menu.get(), nullptr, L"&Copy", recorder.get());
  copy->SetShortCut(static_cast<TShortCut>(scCtrl | 'C'));
  copy->SetDefault(true);
  AddItem(menu.get(), nullptr, L"-", nullptr);
  AddItem(menu.get(), nullptr, L"Paste", recorder.get())->SetEnabled(false);
  AddItem(menu.get(), nullptr, L"Hidden", recorder.get())->SetVisible(false);
  TMenuItem* view = AddItem(menu.get(), nullptr, L"View", nullptr);
  AddItem(menu.get(), view, L"Grid", recorder.get())->SetChecked(true);
  TMenuItem* ruler = AddItem(menu.get(), view, L"Ruler", recorder.get());

  menu->SetAlignment(paRight);
  menu->Choose = L"Ruler";
  menu->Popup(100, 200);
  const std::vector<String> expected{L"&Copy\tCtrl+C|default", L"-", L"Paste|grayed", L"View", L"  Grid|checked",
                                     L"  Ruler"};
  EXPECT_EQ(menu->Texts, expected);
  EXPECT_EQ(menu->Flags & (TPM_LEFTALIGN | TPM_RIGHTALIGN | TPM_CENTERALIGN), static_cast<UINT>(TPM_RIGHTALIGN));
  EXPECT_EQ(menu->GetPopupPoint().x, 100);
  EXPECT_EQ(recorder->Clicks, std::vector<TMenuItem*>{ruler});

  recorder->Clicks.clear();
  menu->Choose = L"";  // dismissed
  menu->Popup(0, 0);
  EXPECT_TRUE(recorder->Clicks.empty());
}

TEST(MenusPopup, NothingIsShownWithoutAVisibleItem)
{
  rtl::TOwnedPtr<TMenusTestPopupMenu> menu(rtl::New<TMenusTestPopupMenu>(nullptr));
  menu->Popup(0, 0);
  AddItem(menu.get(), nullptr, L"Hidden", nullptr)->SetVisible(false);
  menu->Popup(0, 0);
  EXPECT_EQ(menu->Shown, 0);
}

TEST(MenusPopup, ShortCutsClickEnabledItemsOnly)
{
  rtl::TOwnedPtr<TPopupMenu> menu(rtl::New<TPopupMenu>(nullptr));
  rtl::TOwnedPtr<TMenusClickRecorder> recorder(rtl::New<TMenusClickRecorder>());
  TMenuItem* sub = AddItem(menu.get(), nullptr, L"View", nullptr);
  // Keys without Ctrl or Shift, which the test cannot hold down.
  TMenuItem* refresh = AddItem(menu.get(), sub, L"Refresh", recorder.get());
  refresh->SetShortCut(TextToShortCut(L"F5"));
  TMenuItem* locked = AddItem(menu.get(), sub, L"Locked", recorder.get());
  locked->SetShortCut(TextToShortCut(L"F6"));
  locked->SetEnabled(false);

  struct Row {
    WORD Key;
    bool Handled;
  };
  const Row rows[] = {{VK_F5, true}, {VK_F6, false}, {VK_F7, false}};
  for (const Row& row : rows) {
    TWMKey key{WM_KEYDOWN, row.Key, 0, 0, 0};
    EXPECT_EQ(menu->IsShortCut(key), row.Handled) << row.Key;
  }
  EXPECT_EQ(recorder->Clicks, std::vector<TMenuItem*>{refresh});
  EXPECT_EQ(menu->GetItems()->FindShortCut(scNone), nullptr) << "items without a short cut never match";
  EXPECT_TRUE(menu->DispatchCommand(refresh->GetCommand()));
  EXPECT_FALSE(menu->DispatchCommand(0));
  EXPECT_EQ(recorder->Clicks.size(), 2u);
}

TEST(MenusItems, TreeOperationsAndCommandNumbers)
{
  rtl::TOwnedPtr<TPopupMenu> menu(rtl::New<TPopupMenu>(nullptr));
  TMenuItem* root = menu->GetItems();
  TMenuItem* a = AddItem(menu.get(), nullptr, L"A", nullptr);
  TMenuItem* b = AddItem(menu.get(), nullptr, L"B", nullptr);
  TMenuItem* c = rtl::New<TMenuItem>(nullptr);
  root->Insert(1, c);
  EXPECT_EQ(root->IndexOf(c), 1);
  EXPECT_EQ(c->GetParent(), root);
  EXPECT_THROW(root->Add(c), EMenuError) << "an item has one parent";
  EXPECT_THROW(root->Insert(5, rtl::New<TMenuItem>(nullptr)), EMenuError);
  EXPECT_NE(a->GetCommand(), b->GetCommand());
  EXPECT_NE(a->GetCommand(), 0u);
  EXPECT_EQ(root->FindCommand(c->GetCommand()), c);

  const UINT freed = c->GetCommand();
  root->Delete(1);
  EXPECT_EQ(root->GetCount(), 2);
  EXPECT_EQ(root->FindCommand(freed), nullptr);
  TMenuItem* reused = AddItem(menu.get(), nullptr, L"D", nullptr);
  EXPECT_EQ(reused->GetCommand(), freed) << "numbers of freed items are used again";

  // An item freed by its owner leaves its parent.
  rtl::Free(a);
  EXPECT_EQ(root->GetCount(), 2);
  EXPECT_EQ(root->GetItems(0), b);
}

TEST(MenusItems, ImagesAreForgottenWhenFreed)
{
  rtl::TOwnedPtr<TPopupMenu> menu(rtl::New<TPopupMenu>(nullptr));
  TImageList* images = rtl::New<TImageList>(nullptr);
  menu->SetImages(images);
  EXPECT_EQ(menu->GetImages(), images);
  rtl::Free(images);
  EXPECT_EQ(menu->GetImages(), nullptr);
}

}  // namespace
}  // namespace vcl
