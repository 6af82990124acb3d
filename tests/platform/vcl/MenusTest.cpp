#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "platform/vcl/Controls.h"
#include "platform/vcl/ImgList.h"
#include "platform/vcl/Menus.h"

using enum vcl::TBiDiMode;
using enum vcl::TPopupAlignment;
using enum vcl::TShiftStateItem;

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
  std::vector<HWND> Windows;        // the window of each showing
  std::function<void()> OnTrack;  // run once while the menu is shown

 protected:
  UINT TrackMenu(HMENU AMenu, UINT AFlags, int, int, HWND AWindow) override
  {
    Windows.push_back(AWindow);
    ++Shown;
    Flags = AFlags;
    EXPECT_TRUE(IsWindow(AWindow));
    const UINT chosen = Walk(AMenu, L"");
    if (OnTrack)
      std::exchange(OnTrack, nullptr)();  // may free the menu
    return chosen;
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

TEST(MenusPopup, AMenuShownAgainFromInsideItsLoopLeavesNoWindowBehind)
{
  rtl::TOwnedPtr<TMenusTestPopupMenu> menu(rtl::New<TMenusTestPopupMenu>(nullptr));
  AddItem(menu.get(), nullptr, L"Item", nullptr);
  menu->OnTrack = [&menu] { menu->Popup(0, 0); };
  menu->Popup(0, 0);
  ASSERT_EQ(menu->Windows.size(), 2u);
  for (HWND window : menu->Windows)
    EXPECT_FALSE(IsWindow(window));
}

TEST(MenusPopup, AMenuFreedFromInsideItsLoopIsLeftAlone)
{
  rtl::TOwnedPtr<TMenusClickRecorder> recorder(rtl::New<TMenusClickRecorder>());
  auto* menu = rtl::New<TMenusTestPopupMenu>(nullptr);
  AddItem(menu, nullptr, L"Item", recorder.get());
  menu->Choose = L"Item";
  HWND window = nullptr;
  menu->OnTrack = [menu, &window] {
    window = menu->Windows.back();
    rtl::Free(menu);
  };
  menu->Popup(0, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(recorder->Clicks.empty()) << "the chosen item went with the menu";
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

TEST(MenusItems, AnItemCannotBecomeItsOwnAncestorNorTakeAMenusRoot)
{
  rtl::TOwnedPtr<TPopupMenu> menu(rtl::New<TPopupMenu>(nullptr));
  TMenuItem* top = AddItem(menu.get(), nullptr, L"Top", nullptr);
  TMenuItem* middle = AddItem(menu.get(), top, L"Middle", nullptr);
  TMenuItem* bottom = AddItem(menu.get(), middle, L"Bottom", nullptr);
  rtl::TOwnedPtr<TMenuItem> loose(rtl::New<TMenuItem>(nullptr));
  TMenuItem* looseChild = rtl::New<TMenuItem>(nullptr);
  loose->Add(looseChild);

  struct Row {
    TMenuItem* Parent;
    TMenuItem* Item;
  };
  // The first three would make a ring that every walk of the tree follows
  // for ever; another menu's root item would be freed by this tree and by
  // its menu.
  rtl::TOwnedPtr<TPopupMenu> other(rtl::New<TPopupMenu>(nullptr));
  const Row rows[] = {{loose.get(), loose.get()},
                      {looseChild, loose.get()},
                      {bottom, menu->GetItems()},
                      {menu->GetItems(), other->GetItems()}};
  for (const Row& row : rows) {
    EXPECT_THROW(row.Parent->Add(row.Item), EMenuError) << row.Item;
    EXPECT_EQ(row.Parent->IndexOf(row.Item), -1);
  }
  EXPECT_EQ(bottom->GetCount(), 0);
  EXPECT_EQ(menu->GetItems()->FindCommand(12345678), nullptr);
  EXPECT_EQ(loose->FindCommand(looseChild->GetCommand()), looseChild);
}

TEST(MenusPopup, ThePopupComponentIsForgottenWhenFreed)
{
  rtl::TOwnedPtr<TPopupMenu> menu(rtl::New<TPopupMenu>(nullptr));
  rtl::TComponent* component = rtl::New<rtl::TComponent>(nullptr);
  menu->SetPopupComponent(component);
  EXPECT_EQ(menu->GetPopupComponent(), component);
  rtl::Free(component);
  EXPECT_EQ(menu->GetPopupComponent(), nullptr);

  // And a menu freed first leaves no notification behind in the component.
  rtl::TOwnedPtr<rtl::TComponent> survivor(rtl::New<rtl::TComponent>(nullptr));
  TPopupMenu* shortLived = rtl::New<TPopupMenu>(nullptr);
  shortLived->SetPopupComponent(survivor.get());
  shortLived->SetPopupComponent(nullptr);
  shortLived->SetPopupComponent(survivor.get());
  rtl::Free(shortLived);
}

TEST(MenusPopup, AShortCutUnderADisabledSubMenuIsNotClicked)
{
  rtl::TOwnedPtr<TPopupMenu> menu(rtl::New<TPopupMenu>(nullptr));
  rtl::TOwnedPtr<TMenusClickRecorder> recorder(rtl::New<TMenusClickRecorder>());
  TMenuItem* outer = AddItem(menu.get(), nullptr, L"Edit", nullptr);
  TMenuItem* inner = AddItem(menu.get(), outer, L"Advanced", nullptr);
  TMenuItem* item = AddItem(menu.get(), inner, L"Purge", recorder.get());
  item->SetShortCut(VK_F9);

  struct Row {
    TMenuItem* Disabled;
    bool Handled;
  };
  // The user cannot reach an item below a disabled sub-menu, so neither may
  // its key.
  const Row rows[] = {{nullptr, true}, {outer, false}, {inner, false}, {item, false}};
  for (const Row& row : rows) {
    for (TMenuItem* each : {outer, inner, item})
      each->SetEnabled(each != row.Disabled);
    recorder->Clicks.clear();
    TWMKey key{WM_KEYDOWN, VK_F9, 0, 0, 0};
    EXPECT_EQ(menu->IsShortCut(key), row.Handled) << (row.Disabled ? row.Disabled->GetCaption() : String());
    EXPECT_EQ(recorder->Clicks.size(), row.Handled ? 1u : 0u);
  }
}

TEST(MenusPopup, TheDefaultMarkReachesASubMenuEntryToo)
{
  rtl::TOwnedPtr<TMenusTestPopupMenu> menu(rtl::New<TMenusTestPopupMenu>(nullptr));
  AddItem(menu.get(), nullptr, L"Plain", nullptr);
  TMenuItem* sub = AddItem(menu.get(), nullptr, L"More", nullptr);
  AddItem(menu.get(), sub, L"Inner", nullptr);
  sub->SetDefault(true);
  menu->Popup(0, 0);
  const std::vector<String> expected{L"Plain", L"More|default", L"  Inner"};
  EXPECT_EQ(menu->Texts, expected);
}

TEST(MenusShortCut, EveryNamedKeyReadsBackAsItself)
{
  // Names go to the settings as text; each must come back as its key.
  // The generic and sided modifier keys share names and are no short cuts.
  for (WORD key = 0x08; key <= 0xFF; ++key) {
    if ((key >= VK_SHIFT && key <= VK_MENU) || (key >= VK_LSHIFT && key <= VK_RMENU))
      continue;
    const TShortCut shortCut = static_cast<TShortCut>(scCtrl | key);
    const String text = ShortCutToText(shortCut);
    if (text.empty())
      continue;
    EXPECT_EQ(TextToShortCut(text), shortCut) << std::hex << key << " " << testing::PrintToString(std::wstring(text));
  }
  // Keys that share a scan code with another keep their names.
  for (WORD key : {VK_OEM_PLUS, VK_OEM_2, VK_MULTIPLY})
    EXPECT_NE(ShortCutToText(key), L"") << key;
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

// ---------------------------------------------------------------------------
// Actions, pictures and reading order

class TMenusActionEvents : public rtl::TObject {
  RTL_CLASS(TMenusActionEvents, rtl::TObject)

 public:
  void Executed(rtl::TObject* ASender) { Executes.push_back(ASender); }
  void Updated(rtl::TObject* ASender)
  {
    ++Updates;
    static_cast<TCustomAction*>(ASender)->SetEnabled(EnableOnUpdate);
  }
  std::vector<rtl::TObject*> Executes;
  int Updates = 0;
  bool EnableOnUpdate = true;
};

TEST(MenusActions, AnItemShowsItsActionAsUpdatedJustBeforeThePopupAndRunsIt)
{
  rtl::TOwnedPtr<TMenusTestPopupMenu> menu(rtl::New<TMenusTestPopupMenu>(nullptr));
  rtl::TOwnedPtr<TMenusActionEvents> events(rtl::New<TMenusActionEvents>());
  TAction* action = rtl::New<TAction>(menu.get());
  action->SetCaption(L"Save");
  action->SetShortCut(VK_F2);
  action->SetChecked(true);
  action->SetImageIndex(4);
  action->SetHint(L"Saves");
  action->SetOnExecute(rtl::TNotifyEvent::Bind<&TMenusActionEvents::Executed>(events.get()));
  action->SetOnUpdate(rtl::TNotifyEvent::Bind<&TMenusActionEvents::Updated>(events.get()));
  TMenuItem* item = AddItem(menu.get(), nullptr, L"", nullptr);
  item->SetAction(action);
  EXPECT_EQ(item->GetCaption(), L"Save");
  EXPECT_EQ(item->GetShortCut(), VK_F2);
  EXPECT_EQ(item->GetImageIndex(), 4);
  EXPECT_EQ(item->GetHint(), L"Saves");
  EXPECT_TRUE(item->GetActionLink()->IsShortCutLinked());

  struct Row {
    bool EnableOnUpdate;
    const wchar_t* Text;
    std::size_t Executes;
  };
  const Row rows[] = {{false, L"Save\tF2|grayed|checked", 0}, {true, L"Save\tF2|checked", 1}};
  for (const Row& row : rows) {
    events->EnableOnUpdate = row.EnableOnUpdate;
    menu->Texts.clear();
    menu->Choose = L"Save\tF2";
    menu->Popup(0, 0);
    EXPECT_EQ(menu->Texts, std::vector<String>{row.Text});
    EXPECT_EQ(events->Executes.size(), row.Executes) << "a disabled item runs nothing";
  }
  EXPECT_GE(events->Updates, 2);
  EXPECT_EQ(events->Executes.back(), action);

  rtl::Free(action);
  EXPECT_EQ(item->GetAction(), nullptr);
}

// An action whose OnUpdate fills the menu it is shown in, as a list of
// recent files might.
class TMenusGrowingUpdate : public rtl::TObject {
  RTL_CLASS(TMenusGrowingUpdate, rtl::TObject)

 public:
  TMenu* Menu = nullptr;
  void Updated(rtl::TObject*)
  {
    for (int i = 0; i < 40; ++i) {
      TMenuItem* item = rtl::New<TMenuItem>(Menu);
      item->SetCaption(L"Recent");
      Menu->GetItems()->Add(item);
    }
    Menu = nullptr;  // once
  }
};

TEST(MenusActions, AnUpdateThatAddsItemsWhileTheMenuIsBuiltIsSafe)
{
  rtl::TOwnedPtr<TMenusTestPopupMenu> menu(rtl::New<TMenusTestPopupMenu>(nullptr));
  rtl::TOwnedPtr<TMenusGrowingUpdate> events(rtl::New<TMenusGrowingUpdate>());
  events->Menu = menu.get();
  TAction* action = rtl::New<TAction>(menu.get());
  action->SetCaption(L"Files");
  action->SetOnUpdate(rtl::TNotifyEvent::Bind<&TMenusGrowingUpdate::Updated>(events.get()));
  AddItem(menu.get(), nullptr, L"", nullptr)->SetAction(action);
  menu->Popup(0, 0);
  ASSERT_EQ(menu->Texts.size(), 41u) << "the items added on the way are shown too";
  EXPECT_EQ(menu->Texts.front(), L"Files");
  EXPECT_EQ(menu->Texts.back(), L"Recent");
}

// The update of a sub-menu's action that builds the sub-menu's items anew.
class TMenusRebuildingUpdate : public rtl::TObject {
  RTL_CLASS(TMenusRebuildingUpdate, rtl::TObject)

 public:
  TMenuItem* SubMenu = nullptr;
  TMenusClickRecorder* Recorder = nullptr;
  TMenuItem* Latest = nullptr;
  void Updated(rtl::TObject*)
  {
    // Made before the old ones go, so it cannot take a freed one's place.
    Latest = rtl::New<TMenuItem>(nullptr);
    Latest->SetShortCut(VK_F8);
    Latest->SetOnClick(rtl::TNotifyEvent::Bind<&TMenusClickRecorder::Clicked>(Recorder));
    SubMenu->Clear();
    SubMenu->Add(Latest);
  }
};

TEST(MenusActions, AShortCutClicksTheItemASubMenusUpdateBuiltAnew)
{
  rtl::TOwnedPtr<TPopupMenu> menu(rtl::New<TPopupMenu>(nullptr));
  rtl::TOwnedPtr<TMenusClickRecorder> recorder(rtl::New<TMenusClickRecorder>());
  rtl::TOwnedPtr<TMenusRebuildingUpdate> events(rtl::New<TMenusRebuildingUpdate>());
  TAction* action = rtl::New<TAction>(menu.get());
  action->SetCaption(L"Recent");
  action->SetOnUpdate(rtl::TNotifyEvent::Bind<&TMenusRebuildingUpdate::Updated>(events.get()));
  TMenuItem* sub = AddItem(menu.get(), nullptr, L"", nullptr);
  sub->SetAction(action);
  events->SubMenu = sub;
  events->Recorder = recorder.get();
  TMenuItem* first = rtl::New<TMenuItem>(nullptr);
  first->SetShortCut(VK_F8);
  sub->Add(first);

  TWMKey key{WM_KEYDOWN, VK_F8, 0, 0, 0};
  EXPECT_TRUE(menu->IsShortCut(key));
  ASSERT_EQ(recorder->Clicks.size(), 1u);
  EXPECT_EQ(recorder->Clicks.front(), events->Latest);
}

TEST(MenusActions, AnAutoCheckItemTogglesItselfOrLeavesItToItsAction)
{
  rtl::TOwnedPtr<TPopupMenu> menu(rtl::New<TPopupMenu>(nullptr));
  TMenuItem* plain = AddItem(menu.get(), nullptr, L"Plain", nullptr);
  plain->SetAutoCheck(true);
  plain->Click();
  EXPECT_TRUE(plain->GetChecked());
  plain->Click();
  EXPECT_FALSE(plain->GetChecked());

  rtl::TOwnedPtr<TMenusActionEvents> events(rtl::New<TMenusActionEvents>());
  TAction* action = rtl::New<TAction>(menu.get());
  action->SetAutoCheck(true);
  action->SetOnExecute(rtl::TNotifyEvent::Bind<&TMenusActionEvents::Executed>(events.get()));
  TMenuItem* linked = AddItem(menu.get(), nullptr, L"Linked", nullptr);
  linked->SetAction(action);
  linked->Click();
  EXPECT_TRUE(action->GetChecked()) << "the action toggled once";
  EXPECT_TRUE(linked->GetChecked());
}

// Answers for the user and meanwhile asks the menu's window to measure and
// draw the first entry's picture into a bitmap, as Windows does.
class TMenusGlyphPopupMenu : public TPopupMenu {
  RTL_CLASS(TMenusGlyphPopupMenu, TPopupMenu)

 public:
  static constexpr COLORREF kTextColor = RGB(1, 2, 3);
  static constexpr COLORREF kBkColor = RGB(4, 5, 6);
  HBITMAP EntryBitmap = nullptr;
  MEASUREITEMSTRUCT Measured{};
  COLORREF Center = CLR_INVALID;
  COLORREF TextColorAfter = CLR_INVALID;
  COLORREF BkColorAfter = CLR_INVALID;
  int BkModeAfter = 0;

 protected:
  UINT TrackMenu(HMENU AMenu, UINT, int, int, HWND AWindow) override
  {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_BITMAP | MIIM_ID;
    GetMenuItemInfoW(AMenu, 0, TRUE, &info);
    EntryBitmap = info.hbmpItem;
    Measured = {ODT_MENU, 0, info.wID, 0, 0, 0};
    SendMessageW(AWindow, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&Measured));

    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    // The state Windows set for the entry's text, drawn after the picture.
    SetTextColor(dc, kTextColor);
    SetBkColor(dc, kBkColor);
    SetBkMode(dc, TRANSPARENT);
    DRAWITEMSTRUCT draw{ODT_MENU, 0, info.wID, ODA_DRAWENTIRE, 0, nullptr, dc, {0, 0, 16, 16}, 0};
    SendMessageW(AWindow, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    Center = GetPixel(dc, 8, 8);
    TextColorAfter = GetTextColor(dc);
    BkColorAfter = GetBkColor(dc);
    BkModeAfter = GetBkMode(dc);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return 0;
  }
};

TEST(MenusItems, AnItemsBitmapIsDrawnThroughThePopupsWindow)
{
  rtl::TOwnedPtr<TMenusGlyphPopupMenu> menu(rtl::New<TMenusGlyphPopupMenu>(nullptr));
  TMenuItem* item = AddItem(menu.get(), nullptr, L"Red", nullptr);
  EXPECT_FALSE(item->HasBitmap());
  TBitmap* bitmap = item->GetBitmap();
  bitmap->SetSize(16, 16);
  bitmap->GetCanvas()->GetBrush()->SetColor(RGB(255, 0, 0));
  bitmap->GetCanvas()->FillRect({0, 0, 16, 16});
  menu->Popup(0, 0);
  EXPECT_EQ(menu->EntryBitmap, HBMMENU_CALLBACK);
  EXPECT_EQ(menu->Measured.itemWidth, 16u);
  EXPECT_EQ(menu->Measured.itemHeight, 16u);
  EXPECT_EQ(menu->Center, RGB(255, 0, 0));
}

// Windows draws the entry's text into the same DC after the picture, with
// the colours and mode it had set: the picture leaves them as it found them.
TEST(MenusItems, DrawingAnEntrysPictureLeavesTheMenusDCAsItWas)
{
  struct Row {
    const char* Name;
    bool FromImageList;
    bool Enabled;
  };
  const Row rows[] = {{"bitmap", false, true}, {"image list", true, true}, {"disabled image", true, false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    rtl::TOwnedPtr<TMenusGlyphPopupMenu> menu(rtl::New<TMenusGlyphPopupMenu>(nullptr));
    TMenuItem* item = AddItem(menu.get(), nullptr, L"Entry", nullptr);
    rtl::TOwnedPtr<TBitmap> picture(rtl::New<TBitmap>());
    picture->SetSize(16, 16);
    picture->GetCanvas()->GetBrush()->SetColor(RGB(255, 0, 0));
    picture->GetCanvas()->FillRect({0, 0, 16, 16});
    if (row.FromImageList) {
      TImageList* images = rtl::New<TImageList>(menu.get());
      images->Add(picture.get(), nullptr);
      menu->SetImages(images);
      item->SetImageIndex(0);
    } else {
      item->GetBitmap()->Assign(picture.get());
    }
    item->SetEnabled(row.Enabled);
    menu->Popup(0, 0);
    ASSERT_EQ(menu->EntryBitmap, HBMMENU_CALLBACK);
    EXPECT_NE(menu->Center, CLR_INVALID);
    EXPECT_EQ(menu->TextColorAfter, TMenusGlyphPopupMenu::kTextColor);
    EXPECT_EQ(menu->BkColorAfter, TMenusGlyphPopupMenu::kBkColor);
    EXPECT_EQ(menu->BkModeAfter, TRANSPARENT);
  }
}

// The room Windows keeps for an entry's picture is that of the picture the
// entry draws.
TEST(MenusItems, AnEntryKeepsRoomForThePictureItDraws)
{
  struct Row {
    const char* Name;
    int BitmapSize;  // 0: none
    int ImagesSize;  // 0: no image list
    int ImageIndex;
    UINT Expected;
  };
  const Row rows[] = {
      {"bitmap", 24, 0, -1, 24},
      {"image", 0, 20, 0, 20},
      {"bitmap beside the menu's images", 24, 16, -1, 24},
      {"image before the bitmap", 24, 20, 0, 20},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    rtl::TOwnedPtr<TMenusGlyphPopupMenu> menu(rtl::New<TMenusGlyphPopupMenu>(nullptr));
    TMenuItem* item = AddItem(menu.get(), nullptr, L"Entry", nullptr);
    if (row.BitmapSize > 0)
      item->GetBitmap()->SetSize(row.BitmapSize, row.BitmapSize);
    if (row.ImagesSize > 0) {
      TImageList* images = rtl::New<TImageList>(menu.get());
      images->SetSize(row.ImagesSize, row.ImagesSize);
      rtl::TOwnedPtr<TBitmap> picture(rtl::New<TBitmap>());
      picture->SetSize(row.ImagesSize, row.ImagesSize);
      images->Add(picture.get(), nullptr);
      menu->SetImages(images);
    }
    item->SetImageIndex(row.ImageIndex);
    menu->Popup(0, 0);
    EXPECT_EQ(menu->Measured.itemWidth, row.Expected);
    EXPECT_EQ(menu->Measured.itemHeight, row.Expected);
  }
}

TEST(MenusItems, ImagesComeFromTheNearestSubMenuImagesOrElseTheMenu)
{
  rtl::TOwnedPtr<TPopupMenu> menu(rtl::New<TPopupMenu>(nullptr));
  TImageList* menuImages = rtl::New<TImageList>(menu.get());
  TImageList* subImages = rtl::New<TImageList>(menu.get());
  subImages->SetSize(24, 24);
  menu->SetImages(menuImages);
  TMenuItem* top = AddItem(menu.get(), nullptr, L"Top", nullptr);
  TMenuItem* child = AddItem(menu.get(), top, L"Child", nullptr);
  EXPECT_EQ(top->GetImageList(), menuImages);
  EXPECT_EQ(child->GetImageList(), menuImages);
  top->SetSubMenuImages(subImages);
  EXPECT_EQ(top->GetImageList(), menuImages);
  EXPECT_EQ(child->GetImageList(), subImages);
  EXPECT_EQ(child->GetParentMenu(), menu.get());

  // The entry is as tall as the images it may show.
  rtl::TOwnedPtr<TBitmap> canvasHolder(rtl::New<TBitmap>());
  canvasHolder->SetSize(1, 1);
  int width = 0;
  int height = 0;
  child->MeasureItem(canvasHolder->GetCanvas(), width, height);
  EXPECT_GE(height, 24);
  EXPECT_GT(width, 24);
  rtl::Free(subImages);
  EXPECT_EQ(child->GetImageList(), menuImages) << "a freed image list is forgotten";
}

TEST(MenusPopup, ARightToLeftMenuOpensTheOtherWay)
{
  rtl::TOwnedPtr<TControl> owner(rtl::New<TControl>(nullptr));
  TMenusTestPopupMenu* menu = rtl::New<TMenusTestPopupMenu>(owner.get());
  AddItem(menu, nullptr, L"Item", nullptr);
  struct Row {
    const char* Name;
    std::function<void()> Set;
    TPopupAlignment Alignment;
    UINT Expected;
  };
  const Row rows[] = {
      {"left to right", [] {}, paLeft, TPM_LEFTALIGN},
      {"owner right to left", [&] { owner->SetBiDiMode(bdRightToLeft); }, paLeft, TPM_RIGHTALIGN},
      {"own left to right", [&] { menu->SetBiDiMode(bdLeftToRight); }, paRight, TPM_RIGHTALIGN},
      {"parent again", [&] { menu->SetParentBiDiMode(true); }, paRight, TPM_LEFTALIGN},
      {"centred", [] {}, paCenter, TPM_CENTERALIGN},
  };
  for (const Row& row : rows) {
    row.Set();
    menu->SetAlignment(row.Alignment);
    menu->Popup(0, 0);
    EXPECT_EQ(menu->Flags & (TPM_LEFTALIGN | TPM_RIGHTALIGN | TPM_CENTERALIGN), row.Expected) << row.Name;
  }
}

}  // namespace
}  // namespace vcl
