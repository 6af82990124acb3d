#include "platform/vcl/Menus.h"

#include <algorithm>
#include <cwchar>

#include "platform/rtl/ClassesThreads.h"
#include "platform/rtl/SysUtilsFormat.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/ImgList.h"

using enum rtl::TComponentStateFlag;
using enum rtl::TOperation;
using enum vcl::TBiDiMode;
using enum vcl::TMenuBreak;
using enum vcl::TShiftStateItem;

namespace vcl {

// ---------------------------------------------------------------------------
// Short cuts

namespace {

struct TKeyName {
  WORD Key;
  const wchar_t* Name;
};

constexpr TKeyName kKeyNames[] = {
    {VK_BACK, L"BkSp"},   {VK_TAB, L"Tab"},     {VK_RETURN, L"Enter"}, {VK_ESCAPE, L"Esc"},  {VK_SPACE, L"Space"},
    {VK_PRIOR, L"PgUp"},  {VK_NEXT, L"PgDn"},   {VK_END, L"End"},      {VK_HOME, L"Home"},   {VK_LEFT, L"Left"},
    {VK_UP, L"Up"},       {VK_RIGHT, L"Right"}, {VK_DOWN, L"Down"},    {VK_INSERT, L"Ins"},  {VK_DELETE, L"Del"}};

struct TModifierName {
  TShortCut Flag;
  const wchar_t* Name;
};

constexpr TModifierName kModifiers[] = {{scShift, L"Shift+"}, {scCtrl, L"Ctrl+"}, {scAlt, L"Alt+"}};

// The name of the key without asking the keyboard layout; "" for the rest.
String FixedKeyName(WORD AKey)
{
  if ((AKey >= 'A' && AKey <= 'Z') || (AKey >= '0' && AKey <= '9'))
    return String(1, static_cast<wchar_t>(AKey));
  if (AKey >= VK_F1 && AKey <= VK_F24)
    return L"F" + std::to_wstring(AKey - VK_F1 + 1);
  for (const TKeyName& name : kKeyNames)
    if (name.Key == AKey)
      return name.Name;
  return {};
}

// The keyboard layout's name for the key's scan code.
String LayoutKeyName(WORD AKey)
{
  const UINT scanCode = MapVirtualKeyW(AKey, MAPVK_VK_TO_VSC);
  if (scanCode == 0)
    return {};
  wchar_t text[64] = {};
  const int length = GetKeyNameTextW(static_cast<LONG>(scanCode << 16), text, 64);
  return String(text, std::max(length, 0));
}

bool SameKeyName(const String& AName, const String& AOther)
{
  return !AName.empty() && AName.size() == AOther.size() && _wcsicmp(AName.c_str(), AOther.c_str()) == 0;
}

// The key a name reads as; 0 for none. Keys sharing a scan code share the
// layout's name ("/" of the main keyboard and of the number pad); the
// highest key code wins, which is the main keyboard's punctuation key
// (from 0xBA) before the number pad's and older keys.
WORD KeyOfName(const String& AName)
{
  for (WORD key = 0x08; key <= 0xFF; ++key)
    if (SameKeyName(FixedKeyName(key), AName))
      return key;
  for (WORD key = 0xFF; key >= 0x08; --key)
    if (FixedKeyName(key).empty() && SameKeyName(LayoutKeyName(key), AName))
      return key;
  return 0;
}

// A key whose layout name reads as another key has no name: its text would
// make a different short cut.
String KeyName(WORD AKey)
{
  String name = FixedKeyName(AKey);
  if (!name.empty())
    return name;
  name = LayoutKeyName(AKey);
  return !name.empty() && KeyOfName(name) == AKey ? name : String();
}

bool StartsWithIgnoringCase(const String& AText, std::size_t AStart, const wchar_t* APrefix)
{
  const std::size_t length = wcslen(APrefix);
  return AText.size() - AStart >= length && _wcsnicmp(AText.c_str() + AStart, APrefix, length) == 0;
}

// Command numbers of the items in use; an item frees its number when it
// goes, so the numbers stay small and never collide.
std::vector<bool>& UsedCommands()
{
  static std::vector<bool> used(1, true);  // 0 is no command
  return used;
}

UINT AllocateCommand()
{
  std::vector<bool>& used = UsedCommands();
  const auto free = std::find(used.begin(), used.end(), false);
  const UINT command = static_cast<UINT>(free - used.begin());
  if (free == used.end())
    used.push_back(true);
  else
    *free = true;
  return command;
}

void ReleaseCommand(UINT ACommand)
{
  std::vector<bool>& used = UsedCommands();
  if (ACommand != 0 && ACommand < used.size())
    used[ACommand] = false;
}

}  // namespace

TShortCut ShortCut(WORD AKey, TShiftState AShift)
{
  if (AKey & 0xFF00)
    return scNone;
  TShortCut result = AKey;
  if (AShift.Contains(ssShift))
    result |= scShift;
  if (AShift.Contains(ssCtrl))
    result |= scCtrl;
  if (AShift.Contains(ssAlt))
    result |= scAlt;
  return result;
}

void ShortCutToKey(TShortCut AShortCut, WORD& AKey, TShiftState& AShift)
{
  AKey = AShortCut & 0xFF;
  AShift = TShiftState();
  if (AShortCut & scShift)
    AShift.Include(ssShift);
  if (AShortCut & scCtrl)
    AShift.Include(ssCtrl);
  if (AShortCut & scAlt)
    AShift.Include(ssAlt);
}

String ShortCutToText(TShortCut AShortCut)
{
  const String name = KeyName(AShortCut & 0xFF);
  if (name.empty())
    return {};
  String result;
  for (const TModifierName& modifier : kModifiers)
    if (AShortCut & modifier.Flag)
      result += modifier.Name;
  return result + name;
}

TShortCut TextToShortCut(const String& AText)
{
  TShortCut shift = 0;
  std::size_t start = 0;
  for (bool found = true; found;) {
    found = false;
    for (const TModifierName& modifier : kModifiers)
      if (StartsWithIgnoringCase(AText, start, modifier.Name)) {
        shift |= modifier.Flag;
        start += wcslen(modifier.Name);
        found = true;
      }
  }
  const String rest = AText.substr(start);
  if (rest.empty())
    return scNone;
  const WORD key = KeyOfName(rest);
  return key ? static_cast<TShortCut>(shift | key) : scNone;
}

String StripHotkey(const String& AText)
{
  String result;
  result.reserve(AText.size());
  for (std::size_t i = 0; i < AText.size(); ++i) {
    if (AText[i] == L'&') {
      // "&&" stands for one ampersand; a single one marks the hot key.
      if (i + 1 < AText.size() && AText[i + 1] == L'&')
        result += L'&';
      else
        continue;
      ++i;
      continue;
    }
    result += AText[i];
  }
  return result;
}

// ---------------------------------------------------------------------------
// TMenuItem

void TMenuItem::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FEnabled = true;
  FVisible = true;
  FImageIndex = -1;
  FCommand = AllocateCommand();
}

void TMenuItem::Destroy()
{
  rtl::FreeAndNil(FBitmap);
  if (FParent)
    FParent->Remove(this);
  // Children owned elsewhere (by the form) only leave; the owner frees them.
  while (!FItems.empty()) {
    TMenuItem* child = FItems.back();
    FItems.pop_back();
    child->FParent = nullptr;
    if (!child->GetOwner())
      rtl::Free(child);
  }
  ReleaseCommand(FCommand);
  inherited::Destroy();
}

void TMenuItem::Click()
{
  if (!FEnabled)
    return;
  // A linked action toggles its own Checked when it executes.
  if (FAutoCheck && !(FActionLink && FActionLink->IsAutoCheckLinked()))
    SetChecked(!FChecked);
  TBasicAction* action = GetAction();
  if (FOnClick && action && FOnClick != action->GetOnExecute())
    FOnClick(this);
  else if (action && !GetComponentState().Contains(csDesigning))
    FActionLink->Execute(this);
  else if (FOnClick)
    FOnClick(this);
}

void TMenuItem::InitiateAction()
{
  if (FActionLink)
    FActionLink->Update();
}

TMenu* TMenuItem::GetParentMenu() const
{
  const TMenuItem* root = this;
  while (root->FParent)
    root = root->FParent;
  return root->FMenu;
}

rtl::TComponent* TMenuItem::GetParentComponent()
{
  if (FParent && FParent->FMenu)
    return FParent->FMenu;
  return FParent;
}

void TMenuItem::SetParentComponent(rtl::TComponent* AValue)
{
  if (FParent)
    FParent->Remove(this);
  if (rtl::Is<TMenu>(AValue))
    static_cast<TMenu*>(AValue)->GetItems()->Add(this);
  else if (rtl::Is<TMenuItem>(AValue))
    static_cast<TMenuItem*>(AValue)->Add(this);
}

void TMenuItem::GetChildren(const rtl::TGetChildProc& AProc, rtl::TComponent* ARoot)
{
  for (TMenuItem* item : FItems)
    if (item->GetOwner() == ARoot)
      AProc(item);
}

TCustomImageList* TMenuItem::GetImageList() const
{
  for (const TMenuItem* parent = FParent; parent; parent = parent->FParent)
    if (parent->FSubMenuImages)
      return parent->FSubMenuImages;
  TMenu* menu = GetParentMenu();
  return menu ? menu->GetImages() : nullptr;
}

bool TMenuItem::HasBitmap() const
{
  return FBitmap && !FBitmap->GetEmpty();
}

TBitmap* TMenuItem::GetBitmap()
{
  if (!FBitmap)
    FBitmap = rtl::New<TBitmap>();
  return FBitmap;
}

void TMenuItem::SetSubMenuImages(TCustomImageList* AValue)
{
  if (AValue == FSubMenuImages)
    return;
  if (FSubMenuImages)
    FSubMenuImages->RemoveFreeNotification(this);
  FSubMenuImages = AValue;
  if (FSubMenuImages)
    FSubMenuImages->FreeNotification(this);
}

bool TMenuItem::HasGlyph() const
{
  TCustomImageList* images = GetImageList();
  return (images && FImageIndex >= 0 && FImageIndex < images->GetCount()) || HasBitmap();
}

TSize TMenuItem::GlyphSize() const
{
  TCustomImageList* images = GetImageList();
  if (images && FImageIndex >= 0 && FImageIndex < images->GetCount())
    return {images->GetWidth(), images->GetHeight()};
  if (HasBitmap())
    return {FBitmap->GetWidth(), FBitmap->GetHeight()};
  return {16, 16};
}

void TMenuItem::DrawGlyph(HDC ADC, const TRect& ARect)
{
  // Windows draws the entry's text into this DC afterwards with the colours
  // and background mode it set; the canvas would leave its own behind.
  const TSaveDCGuard saved(ADC);
  rtl::TOwnedPtr<TCanvas> canvas(rtl::New<TCanvas>());
  canvas->SetHandle(ADC);
  TCustomImageList* images = GetImageList();
  if (images && FImageIndex >= 0 && FImageIndex < images->GetCount()) {
    const int x = ARect.left + (ARect.right - ARect.left - images->GetWidth()) / 2;
    const int y = ARect.top + (ARect.bottom - ARect.top - images->GetHeight()) / 2;
    images->Draw(canvas.get(), x, y, FImageIndex, FEnabled);
  } else if (HasBitmap()) {
    const int x = ARect.left + (ARect.right - ARect.left - FBitmap->GetWidth()) / 2;
    const int y = ARect.top + (ARect.bottom - ARect.top - FBitmap->GetHeight()) / 2;
    canvas->Draw(x, y, FBitmap);
  }
  canvas->SetHandle(nullptr);
}

void TMenuItem::MeasureItem(TCanvas* ACanvas, int& AWidth, int& AHeight)
{
  if (IsLine()) {
    AWidth = -2;
    AHeight = 5;
  } else {
    int glyphWidth = 0;
    int glyphHeight = 0;
    TCustomImageList* images = GetImageList();
    if (images) {
      glyphWidth = images->GetWidth();
      glyphHeight = images->GetHeight();
    } else if (HasBitmap()) {
      glyphWidth = 16;
      glyphHeight = 16;
    }
    String text = StripHotkey(FCaption);
    if (FShortCut != scNone)
      text += L"    " + ShortCutToText(FShortCut);
    const TSize textSize = ACanvas->TextExtent(text.empty() ? String(L"Qg") : text);
    // A glyph column, a gap, the text and a margin; without a glyph the
    // text moves left into the column Windows keeps for check marks.
    AWidth = (glyphWidth > 0 ? glyphWidth + 15 : -7) + textSize.cx + 7;
    AHeight = std::max<int>(textSize.cy, glyphHeight) + 3;
  }
  if (FOnMeasureItem)
    FOnMeasureItem(this, ACanvas, AWidth, AHeight);
}

// ---------------------------------------------------------------------------
// TMenuItem: actions

TBasicAction* TMenuItem::GetAction() const
{
  return FActionLink ? FActionLink->GetAction() : nullptr;
}

void TMenuItem::SetAction(TBasicAction* AValue)
{
  if (!AValue) {
    rtl::FreeAndNil(FActionLink);
    return;
  }
  if (!FActionLink)
    FActionLink = GetActionLinkClass().Create(this);
  FActionLink->SetAction(AValue);
  FActionLink->SetOnChange(rtl::TNotifyEvent::Bind<&TMenuItem::DoActionChange>(this));
  ActionChange(AValue, AValue->GetComponentState().Contains(csLoading));
  AValue->FreeNotification(this);
}

void TMenuItem::Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation)
{
  inherited::Notification(AComponent, AOperation);
  if (AOperation != opRemove || !AComponent)
    return;
  if (AComponent == GetAction())
    SetAction(nullptr);
  else if (AComponent == FSubMenuImages)
    FSubMenuImages = nullptr;
}

void TMenuItem::BeforeDestruction()
{
  inherited::BeforeDestruction();
  rtl::FreeAndNil(FActionLink);
}

void TMenuItem::ActionChange(rtl::TObject* ASender, bool ACheckDefaults)
{
  if (!rtl::Is<TCustomAction>(ASender))
    return;
  auto* action = static_cast<TCustomAction*>(ASender);
  if (!ACheckDefaults || !FAutoCheck)
    SetAutoCheck(action->GetAutoCheck());
  if (!ACheckDefaults || FCaption.empty())
    SetCaption(action->GetCaption());
  if (!ACheckDefaults || !FChecked)
    SetChecked(action->GetChecked());
  if (!ACheckDefaults || FEnabled)
    SetEnabled(action->GetEnabled());
  if (!ACheckDefaults || FHelpContext == 0)
    SetHelpContext(action->GetHelpContext());
  if (!ACheckDefaults || FHint.empty())
    SetHint(action->GetHint());
  if (!ACheckDefaults || FImageIndex == -1)
    SetImageIndex(action->GetImageIndex());
  if (!ACheckDefaults || FShortCut == scNone)
    SetShortCut(action->GetShortCut());
  if (!ACheckDefaults || FVisible)
    SetVisible(action->GetVisible());
  if (!ACheckDefaults || !FOnClick)
    SetOnClick(action->GetOnExecute());
}

rtl::ClassOf<TMenuActionLink> TMenuItem::GetActionLinkClass()
{
  return TMenuActionLinkClass::Of<TMenuActionLink>();
}

void TMenuItem::DoActionChange(rtl::TObject* ASender)
{
  if (ASender && ASender == GetAction())
    ActionChange(ASender, false);
}

bool TMenuItem::IsCaptionStored()
{
  return !FActionLink || !FActionLink->IsCaptionLinked();
}

bool TMenuItem::IsCheckedStored()
{
  return !FActionLink || !FActionLink->IsCheckedLinked();
}

bool TMenuItem::IsEnabledStored()
{
  return !FActionLink || !FActionLink->IsEnabledLinked();
}

bool TMenuItem::IsHelpContextStored()
{
  return !FActionLink || !FActionLink->IsHelpContextLinked();
}

bool TMenuItem::IsHintStored()
{
  return !FActionLink || !FActionLink->IsHintLinked();
}

bool TMenuItem::IsImageIndexStored()
{
  return !FActionLink || !FActionLink->IsImageIndexLinked();
}

bool TMenuItem::IsShortCutStored()
{
  return !FActionLink || !FActionLink->IsShortCutLinked();
}

bool TMenuItem::IsVisibleStored()
{
  return !FActionLink || !FActionLink->IsVisibleLinked();
}

bool TMenuItem::IsOnClickStored()
{
  return !FActionLink || !FActionLink->IsOnExecuteLinked();
}

// ---------------------------------------------------------------------------
// TMenuActionLink

namespace {

TCustomAction* MenusCustomAction(TBasicAction* AAction)
{
  return static_cast<TCustomAction*>(AAction);
}

}  // namespace

void TMenuActionLink::AssignClient(rtl::TObject* AClient)
{
  FClient = rtl::As<TMenuItem>(AClient);
}

bool TMenuActionLink::IsAutoCheckLinked()
{
  return inherited::IsAutoCheckLinked() && FClient->GetAutoCheck() == MenusCustomAction(FAction)->GetAutoCheck();
}

bool TMenuActionLink::IsCaptionLinked()
{
  return inherited::IsCaptionLinked() && FClient->GetCaption() == MenusCustomAction(FAction)->GetCaption();
}

bool TMenuActionLink::IsCheckedLinked()
{
  return inherited::IsCheckedLinked() && FClient->GetChecked() == MenusCustomAction(FAction)->GetChecked();
}

bool TMenuActionLink::IsEnabledLinked()
{
  return inherited::IsEnabledLinked() && FClient->GetEnabled() == MenusCustomAction(FAction)->GetEnabled();
}

bool TMenuActionLink::IsHelpContextLinked()
{
  return inherited::IsHelpContextLinked() &&
         FClient->GetHelpContext() == MenusCustomAction(FAction)->GetHelpContext();
}

bool TMenuActionLink::IsHintLinked()
{
  return inherited::IsHintLinked() && FClient->GetHint() == MenusCustomAction(FAction)->GetHint();
}

bool TMenuActionLink::IsImageIndexLinked()
{
  return inherited::IsImageIndexLinked() && FClient->GetImageIndex() == MenusCustomAction(FAction)->GetImageIndex();
}

bool TMenuActionLink::IsShortCutLinked()
{
  return inherited::IsShortCutLinked() && FClient->GetShortCut() == MenusCustomAction(FAction)->GetShortCut();
}

bool TMenuActionLink::IsVisibleLinked()
{
  return inherited::IsVisibleLinked() && FClient->GetVisible() == MenusCustomAction(FAction)->GetVisible();
}

bool TMenuActionLink::IsOnExecuteLinked()
{
  return inherited::IsOnExecuteLinked() && FAction && FClient->GetOnClick() == FAction->GetOnExecute();
}

void TMenuActionLink::SetAutoCheck(bool AValue)
{
  if (IsAutoCheckLinked())
    FClient->SetAutoCheck(AValue);
}

void TMenuActionLink::SetCaption(const String& AValue)
{
  if (IsCaptionLinked())
    FClient->SetCaption(AValue);
}

void TMenuActionLink::SetChecked(bool AValue)
{
  if (IsCheckedLinked())
    FClient->SetChecked(AValue);
}

void TMenuActionLink::SetEnabled(bool AValue)
{
  if (IsEnabledLinked())
    FClient->SetEnabled(AValue);
}

void TMenuActionLink::SetHelpContext(THelpContext AValue)
{
  if (IsHelpContextLinked())
    FClient->SetHelpContext(AValue);
}

void TMenuActionLink::SetHint(const String& AValue)
{
  if (IsHintLinked())
    FClient->SetHint(AValue);
}

void TMenuActionLink::SetImageIndex(int AValue)
{
  if (IsImageIndexLinked())
    FClient->SetImageIndex(AValue);
}

void TMenuActionLink::SetShortCut(TShortCut AValue)
{
  if (IsShortCutLinked())
    FClient->SetShortCut(AValue);
}

void TMenuActionLink::SetVisible(bool AValue)
{
  if (IsVisibleLinked())
    FClient->SetVisible(AValue);
}

void TMenuActionLink::SetOnExecute(rtl::TNotifyEvent AValue)
{
  if (IsOnExecuteLinked())
    FClient->SetOnClick(AValue);
}

TMenuItem* TMenuItem::GetItems(int AIndex) const
{
  if (AIndex < 0 || AIndex >= GetCount())
    throw EMenuError(L"Menu index out of range");
  return FItems[AIndex];
}

void TMenuItem::Add(TMenuItem* AItem)
{
  Insert(GetCount(), AItem);
}

void TMenuItem::Insert(int AIndex, TMenuItem* AItem)
{
  if (!AItem)
    return;
  if (AItem->FParent)
    throw EMenuError(L"Menu inserted twice");
  // A menu's root item belongs to its menu, which frees it; a parent would
  // free it a second time.
  if (AItem->FMenu)
    throw EMenuError(L"Menu inserted twice");
  // An item inside itself would make a ring every walk of the tree follows.
  for (const TMenuItem* parent = this; parent; parent = parent->FParent)
    if (parent == AItem)
      throw EMenuError(L"Menu inserted into itself");
  if (AIndex < 0 || AIndex > GetCount())
    throw EMenuError(L"Menu index out of range");
  FItems.insert(FItems.begin() + AIndex, AItem);
  AItem->FParent = this;
}

void TMenuItem::Remove(TMenuItem* AItem)
{
  const auto found = std::find(FItems.begin(), FItems.end(), AItem);
  if (found == FItems.end())
    throw EMenuError(L"Menu item not found");
  FItems.erase(found);
  AItem->FParent = nullptr;
}

void TMenuItem::Delete(int AIndex)
{
  rtl::Free(GetItems(AIndex));
}

void TMenuItem::Clear()
{
  while (!FItems.empty())
    rtl::Free(FItems.back());
}

int TMenuItem::IndexOf(const TMenuItem* AItem) const
{
  const auto found = std::find(FItems.begin(), FItems.end(), AItem);
  return found == FItems.end() ? -1 : static_cast<int>(found - FItems.begin());
}

TMenuItem* TMenuItem::FindCommand(UINT ACommand)
{
  if (FCommand == ACommand)
    return this;
  for (TMenuItem* item : FItems)
    if (TMenuItem* found = item->FindCommand(ACommand))
      return found;
  return nullptr;
}

TMenuItem* TMenuItem::FindShortCut(TShortCut AShortCut)
{
  if (AShortCut == scNone)
    return nullptr;
  for (TMenuItem* item : FItems) {
    if (item->FShortCut == AShortCut)
      return item;
    if (TMenuItem* found = item->FindShortCut(AShortCut))
      return found;
  }
  return nullptr;
}

HMENU TMenuItem::CreateNativeMenu(bool AMenuBar)
{
  HMENU menu = AMenuBar ? CreateMenu() : CreatePopupMenu();
  if (!menu)
    rtl::RaiseLastOSError();
  try {
    AppendTo(menu);
  } catch (...) {
    DestroyMenu(menu);
    throw;
  }
  return menu;
}

void TMenuItem::AppendTo(HMENU AMenu)
{
  // By index: an action's update may add items to the menu on the way.
  for (std::size_t i = 0; i < FItems.size(); ++i) {
    TMenuItem* item = FItems[i];
    item->InitiateAction();
    if (!item->FVisible)
      continue;
    UINT flags = item->IsLine() ? MF_SEPARATOR : MF_STRING;
    if (!item->FEnabled)
      flags |= MF_GRAYED;
    if (item->FChecked)
      flags |= MF_CHECKED;
    if (item->FBreak == mbBreak)
      flags |= MF_MENUBREAK;
    else if (item->FBreak == mbBarBreak)
      flags |= MF_MENUBARBREAK;
    String text = item->FCaption;
    if (item->FShortCut != scNone)
      text += L"\t" + ShortCutToText(item->FShortCut);
    UINT_PTR id = item->FCommand;
    if (!item->FItems.empty()) {
      flags |= MF_POPUP;
      id = reinterpret_cast<UINT_PTR>(item->CreateNativeMenu(false));
    }
    if (!AppendMenuW(AMenu, flags, id, item->IsLine() ? nullptr : text.c_str())) {
      if (flags & MF_POPUP)
        DestroyMenu(reinterpret_cast<HMENU>(id));
      rtl::RaiseLastOSError();
    }
    // By position: the entry of a sub-menu has no command number.
    if (item->FDefault)
      SetMenuDefaultItem(AMenu, GetMenuItemCount(AMenu) - 1, TRUE);
    if (!item->IsLine() && item->HasGlyph()) {
      // Windows asks the menu's window to measure and draw the picture
      // (WM_MEASUREITEM / WM_DRAWITEM), so image lists keep their alpha.
      MENUITEMINFOW info{};
      info.cbSize = sizeof(info);
      info.fMask = MIIM_BITMAP;
      info.hbmpItem = HBMMENU_CALLBACK;
      SetMenuItemInfoW(AMenu, GetMenuItemCount(AMenu) - 1, TRUE, &info);
    }
  }
}

// ---------------------------------------------------------------------------
// TMenu

void TMenu::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FItems = rtl::New<TMenuItem>(nullptr);
  FItems->FMenu = this;
}

void TMenu::Destroy()
{
  rtl::FreeAndNil(FItems);
  inherited::Destroy();
}

void TMenu::SetImages(TCustomImageList* AValue)
{
  if (AValue == FImages)
    return;
  if (FImages)
    FImages->RemoveFreeNotification(this);
  FImages = AValue;
  if (FImages)
    FImages->FreeNotification(this);
}

TBiDiMode TMenu::GetBiDiMode() const
{
  if (FBiDiModeAssigned)
    return FBiDiMode;
  TComponent* owner = const_cast<TMenu*>(this)->GetOwner();
  return rtl::Is<TControl>(owner) ? static_cast<TControl*>(owner)->GetBiDiMode() : bdLeftToRight;
}

void TMenu::SetBiDiMode(TBiDiMode AValue)
{
  FBiDiMode = AValue;
  FBiDiModeAssigned = true;
}

void TMenu::Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation)
{
  inherited::Notification(AComponent, AOperation);
  if (AOperation == opRemove && AComponent == FImages)
    FImages = nullptr;
}

void TMenu::GetChildren(const rtl::TGetChildProc& AProc, rtl::TComponent* ARoot)
{
  FItems->GetChildren(AProc, ARoot);
}

bool TMenu::IsShortCut(TWMKey& AMessage)
{
  const TShortCut shortCut = ShortCut(AMessage.CharCode, KeyDataToShiftState(AMessage.KeyData));
  TMenuItem* item = FItems->FindShortCut(shortCut);
  if (!item)
    return false;
  // The sub-menus' updates may rebuild their items, so the item is looked
  // up again afterwards.
  for (TMenuItem* parent = item->GetParent(); parent; parent = parent->GetParent())
    parent->InitiateAction();
  item = FItems->FindShortCut(shortCut);
  if (!item)
    return false;
  item->InitiateAction();
  // The user cannot reach an item below a disabled sub-menu; neither may
  // its key.
  for (TMenuItem* each = item; each; each = each->GetParent())
    if (!each->GetEnabled())
      return false;
  item->Click();
  return true;
}

bool TMenu::DispatchCommand(UINT ACommand)
{
  TMenuItem* item = ACommand ? FItems->FindCommand(ACommand) : nullptr;
  if (!item)
    return false;
  item->Click();
  return true;
}

// ---------------------------------------------------------------------------
// TPopupMenu

void TPopupMenu::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FAutoPopup = true;
}

void TPopupMenu::Destroy()
{
  // Windows ends the menu's loop when the window it reports to goes.
  ReleaseWindow(FWindow, nullptr);
  inherited::Destroy();
}

void TPopupMenu::SetPopupComponent(rtl::TComponent* AValue)
{
  if (AValue == FPopupComponent)
    return;
  // Handlers read it after the menu has closed, when the component may be
  // gone.
  if (FPopupComponent)
    FPopupComponent->RemoveFreeNotification(this);
  FPopupComponent = AValue;
  if (FPopupComponent)
    FPopupComponent->FreeNotification(this);
}

void TPopupMenu::Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation)
{
  inherited::Notification(AComponent, AOperation);
  if (AOperation == opRemove && AComponent == FPopupComponent)
    FPopupComponent = nullptr;
}

void TPopupMenu::DoPopup(rtl::TObject* ASender)
{
  if (FOnPopup)
    FOnPopup(ASender);
}

void TPopupMenu::Popup(int X, int Y)
{
  FPopupPoint = {X, Y};
  DoPopup(this);
  HMENU menu = GetItems()->CreateNativeMenu(false);
  // A handler may show the menu again from inside the menu's loop; that
  // showing gives the window of this one back when it ends.
  const HWND outer = FWindow;
  HWND window = nullptr;
  UINT command = 0;
  try {
    if (GetMenuItemCount(menu) > 0) {
      // Right to left, the menu opens towards the left of the point.
      constexpr UINT kAlignments[2][3] = {{TPM_LEFTALIGN, TPM_RIGHTALIGN, TPM_CENTERALIGN},
                                          {TPM_RIGHTALIGN, TPM_LEFTALIGN, TPM_CENTERALIGN}};
      // The menu needs a window of this thread to report to; a hidden one
      // of our own serves whoever shows the menu.
      window = rtl::AllocateHWnd(rtl::TWndMethod::Bind<&TPopupMenu::WndProc>(this));
      FWindow = window;
      const rtl::TFreeWatch watch(this);
      command = TrackMenu(menu, kAlignments[IsRightToLeft()][FAlignment] | TPM_RIGHTBUTTON | TPM_RETURNCMD, X, Y, window);
      if (watch.Freed()) {
        // Freed from inside the loop: its Destroy took the window; the
        // choice went with the items.
        DestroyMenu(menu);
        return;
      }
    }
  } catch (...) {
    DestroyMenu(menu);
    ReleaseWindow(window, outer);
    throw;
  }
  DestroyMenu(menu);
  ReleaseWindow(window, outer);
  // Clicked after the menu is gone, so a handler may show another menu or
  // free this one.
  DispatchCommand(command);
}

UINT TPopupMenu::TrackMenu(HMENU AMenu, UINT AFlags, int X, int Y, HWND AWindow)
{
  // The menu closes on a click elsewhere only when its window is in the
  // foreground (documented for TrackPopupMenu).
  SetForegroundWindow(AWindow);
  const UINT result = static_cast<UINT>(TrackPopupMenu(AMenu, AFlags, X, Y, 0, AWindow, nullptr));
  PostMessageW(AWindow, WM_NULL, 0, 0);
  return result;
}

// The window still answers its last messages (WM_DESTROY, WM_NCDESTROY)
// through WndProc, so the handle is cleared only afterwards.
void TPopupMenu::ReleaseWindow(HWND AWindow, HWND AOuter)
{
  rtl::DeallocateHWnd(AWindow);
  FWindow = AOuter;
}

// The pictures of the entries (HBMMENU_CALLBACK): Windows measures and
// draws them through the window the menu reports to.
void TPopupMenu::WndProc(rtl::TMessage& AMessage)
{
  try {
    if (AMessage.Msg == WM_MEASUREITEM) {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(AMessage.LParam);
      if (measure->CtlType == ODT_MENU)
        if (TMenuItem* item = GetItems()->FindCommand(measure->itemID)) {
          const TSize size = item->GlyphSize();
          measure->itemWidth = static_cast<UINT>(size.cx);
          measure->itemHeight = static_cast<UINT>(size.cy);
          AMessage.Result = TRUE;
          return;
        }
    } else if (AMessage.Msg == WM_DRAWITEM) {
      auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(AMessage.LParam);
      if (draw->CtlType == ODT_MENU)
        if (TMenuItem* item = GetItems()->FindCommand(draw->itemID)) {
          item->DrawGlyph(draw->hDC, draw->rcItem);
          AMessage.Result = TRUE;
          return;
        }
    }
  } catch (...) {
    // Raised inside the menu's modal loop: handled like any callback's.
    rtl::HandleCallbackException(this);
    return;
  }
  AMessage.Result = DefWindowProcW(FWindow, AMessage.Msg, AMessage.WParam, AMessage.LParam);
}

}  // namespace vcl
