// The Menus unit:
//   TShortCut with ShortCut, ShortCutToKey, ShortCutToText, TextToShortCut
//   StripHotkey
//   TMenuItem, a tree of items built into native menus when shown; an item
//     may follow an action (TMenuActionLink)
//   TMenu, TMainMenu, TPopupMenu (Popup through TrackPopupMenu)
//
// Items carry a process-wide command number; the native menu is rebuilt
// from the items whenever it is asked for, so the items are the only state.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/rtl/ClassesComponents.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemEvents.h"
#include "platform/rtl/TypInfo.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/ControlsMessages.h"
#include "platform/vcl/Graphics.h"

namespace vcl {

class TCustomImageList;
class TMenu;
class TMenuActionLink;

using rtl::String;

// ---------------------------------------------------------------------------
// Short cuts (TShortCut is in ActnList.h): the virtual key in the low byte,
// the shift keys above.

inline constexpr TShortCut scNone = 0;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;

// Only Shift, Ctrl and Alt of AShift count.
TShortCut ShortCut(WORD AKey, TShiftState AShift);
void ShortCutToKey(TShortCut AShortCut, WORD& AKey, TShiftState& AShift);
// "Shift+", "Ctrl+", "Alt+" (in this order) and the key's name: letters and
// digits, "F1".."F24", "BkSp", "Tab", "Enter", "Esc", "Space", "PgUp",
// "PgDn", "End", "Home", "Left", "Up", "Right", "Down", "Ins", "Del", and
// the keyboard layout's name for the rest. "" for scNone or a key without a
// name.
String ShortCutToText(TShortCut AShortCut);
// The reverse, ignoring case; the modifiers in any order. scNone when the
// text names no key.
TShortCut TextToShortCut(const String& AText);

// The caption without its hot-key marks: "&File" gives "File", "&&" gives
// "&".
String StripHotkey(const String& AText);

// ---------------------------------------------------------------------------
// Items

RTL_ENUM(TMenuBreak, mbNone, mbBreak, mbBarBreak);

using rtl::Exception;
RTL_DECLARE_EXCEPTION(EMenuError, Exception);

using TMenuMeasureItemEvent = rtl::TMethod<void(rtl::TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;
RTL_TYPE_NAME(TMenuMeasureItemEvent)

class TMenuItem : public rtl::TComponent {
  RTL_CLASS(TMenuItem, rtl::TComponent)
  RTL_PUBLISHED(RTL_PROPERTY(Action, GetAction, SetAction),
                RTL_PROPERTY(AutoCheck, GetAutoCheck, SetAutoCheck, RTL_DEFAULT(false)),
                RTL_PROPERTY(Bitmap, GetBitmap, SetBitmap, RTL_STORED(IsBitmapStored)),
                RTL_PROPERTY(Break, GetBreak, SetBreak, RTL_DEFAULT(TMenuBreak::mbNone)),
                RTL_PROPERTY(Caption, GetCaption, SetCaption, RTL_STORED(IsCaptionStored)),
                RTL_PROPERTY(Checked, GetChecked, SetChecked, RTL_DEFAULT(false), RTL_STORED(IsCheckedStored)),
                RTL_PROPERTY(Default, GetDefault, SetDefault, RTL_DEFAULT(false)),
                RTL_PROPERTY(Enabled, GetEnabled, SetEnabled, RTL_DEFAULT(true), RTL_STORED(IsEnabledStored)),
                RTL_PROPERTY(HelpContext, GetHelpContext, SetHelpContext, RTL_DEFAULT(0),
                             RTL_STORED(IsHelpContextStored)),
                RTL_PROPERTY(Hint, GetHint, SetHint, RTL_STORED(IsHintStored)),
                RTL_PROPERTY(ImageIndex, GetImageIndex, SetImageIndex, RTL_DEFAULT(-1),
                             RTL_STORED(IsImageIndexStored)),
                RTL_PROPERTY(ShortCut, GetShortCut, SetShortCut, RTL_DEFAULT(0), RTL_STORED(IsShortCutStored)),
                RTL_PROPERTY(SubMenuImages, GetSubMenuImages, SetSubMenuImages),
                RTL_PROPERTY(Visible, GetVisible, SetVisible, RTL_DEFAULT(true), RTL_STORED(IsVisibleStored)),
                RTL_PROPERTY(OnClick, GetOnClick, SetOnClick, RTL_STORED(IsOnClickStored)),
                RTL_PROPERTY(OnMeasureItem, GetOnMeasureItem, SetOnMeasureItem))

 public:
  void Create(rtl::TComponent* AOwner) override;
  // Leaves its parent and frees its own items.
  void Destroy() override;

  // Nothing when disabled. An AutoCheck item toggles Checked (unless its
  // action does that); then OnClick when it is not the action's own
  // handler, else the action executes, else OnClick.
  virtual void Click();
  // The action's Update (OnUpdate); before the item shows or handles its
  // short cut.
  virtual void InitiateAction();
  // The size of the item's entry with the canvas's font: glyph, caption and
  // short cut text; then OnMeasureItem may change it.
  virtual void MeasureItem(TCanvas* ACanvas, int& AWidth, int& AHeight);
  // The images of the item: the nearest SubMenuImages of its parents, else
  // the menu's Images; nil when none.
  TCustomImageList* GetImageList() const;
  // The menu whose item tree the item is in; nil when none.
  TMenu* GetParentMenu() const;

  // The action the item follows (as TControl's Action does).
  TBasicAction* GetAction() const;
  void SetAction(TBasicAction* AValue);
  TMenuActionLink* GetActionLink() const { return FActionLink; }
  void Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation) override;
  // The link goes before the item does.
  void BeforeDestruction() override;

  // Form streaming: an item is written by its parent item (a top item by
  // its menu), never by the form, so the tree reads back as it was.
  bool HasParent() override { return true; }
  rtl::TComponent* GetParentComponent() override;
  void SetParentComponent(rtl::TComponent* AValue) override;
  // The child items the root owns.
  void GetChildren(const rtl::TGetChildProc& AProc, rtl::TComponent* ARoot) override;

  // The children. Raises EMenuError "Menu inserted twice" for an item that
  // has a parent already or is a menu's root item, EMenuError "Menu inserted into itself" for the
  // item itself or one of its parents, and EMenuError "Menu index out of
  // range" for a bad index.
  int GetCount() const { return static_cast<int>(FItems.size()); }
  TMenuItem* GetItems(int AIndex) const;
  void Add(TMenuItem* AItem);
  void Insert(int AIndex, TMenuItem* AItem);
  // Takes the child out without freeing it.
  void Remove(TMenuItem* AItem);
  // Frees the child.
  void Delete(int AIndex);
  // Frees every child.
  void Clear();
  int IndexOf(const TMenuItem* AItem) const;
  TMenuItem* GetParent() const { return FParent; }
  bool IsLine() const { return FCaption == L"-"; }

  // The item of a command number or a short cut, here or below; nil when
  // none.
  TMenuItem* FindCommand(UINT ACommand);
  TMenuItem* FindShortCut(TShortCut AShortCut);

  UINT GetCommand() const { return FCommand; }
  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& AValue) { FCaption = AValue; }
  TShortCut GetShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut AValue) { FShortCut = AValue; }
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool AValue) { FEnabled = AValue; }
  bool GetChecked() const { return FChecked; }
  void SetChecked(bool AValue) { FChecked = AValue; }
  bool GetDefault() const { return FDefault; }
  void SetDefault(bool AValue) { FDefault = AValue; }
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool AValue) { FVisible = AValue; }
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int AValue) { FImageIndex = AValue; }
  TMenuBreak GetBreak() const { return FBreak; }
  void SetBreak(TMenuBreak AValue) { FBreak = AValue; }
  rtl::TNotifyEvent GetOnClick() const { return FOnClick; }
  void SetOnClick(rtl::TNotifyEvent AValue) { FOnClick = AValue; }
  bool GetAutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool AValue) { FAutoCheck = AValue; }
  const String& GetHint() const { return FHint; }
  void SetHint(const String& AValue) { FHint = AValue; }
  THelpContext GetHelpContext() const { return FHelpContext; }
  void SetHelpContext(THelpContext AValue) { FHelpContext = AValue; }
  // Made on first use; shown beside the caption when there is no image.
  TBitmap* GetBitmap();
  void SetBitmap(TBitmap* AValue) { GetBitmap()->Assign(AValue); }
  bool HasBitmap() const;
  // The images of the children's entries.
  TCustomImageList* GetSubMenuImages() const { return FSubMenuImages; }
  void SetSubMenuImages(TCustomImageList* AValue);
  TMenuMeasureItemEvent GetOnMeasureItem() const { return FOnMeasureItem; }
  void SetOnMeasureItem(TMenuMeasureItemEvent AValue) { FOnMeasureItem = AValue; }

  // A new native menu of the visible children (a popup menu unless
  // AMenuBar); the caller destroys it.
  HMENU CreateNativeMenu(bool AMenuBar);

 protected:
  // As TControl's: caption, checked, enabled, help context, hint, image
  // index, short cut, visible, AutoCheck and OnClick of a TCustomAction.
  virtual void ActionChange(rtl::TObject* ASender, bool ACheckDefaults);
  virtual rtl::ClassOf<TMenuActionLink> GetActionLinkClass();
  void DoActionChange(rtl::TObject* ASender);
  bool IsCaptionStored();
  bool IsCheckedStored();
  bool IsEnabledStored();
  bool IsHelpContextStored();
  bool IsHintStored();
  bool IsImageIndexStored();
  bool IsShortCutStored();
  bool IsVisibleStored();
  bool IsOnClickStored();
  bool IsBitmapStored() { return HasBitmap(); }

 private:
  void AppendTo(HMENU AMenu);
  // Whether the entry shows a picture: the image of ImageIndex from
  // GetImageList, else Bitmap.
  bool HasGlyph() const;
  // The size of that picture, which the entry keeps room for.
  TSize GlyphSize() const;
  // Draws that picture into ARect (WM_DRAWITEM of a popup's window).
  void DrawGlyph(HDC ADC, const TRect& ARect);

  std::vector<TMenuItem*> FItems;
  TMenuItem* FParent;
  String FCaption;
  rtl::TNotifyEvent FOnClick;
  UINT FCommand;
  int FImageIndex;
  TShortCut FShortCut;
  TMenuBreak FBreak;
  bool FEnabled;
  bool FChecked;
  bool FDefault;
  bool FVisible;
  bool FAutoCheck;
  String FHint;
  THelpContext FHelpContext;
  TBitmap* FBitmap;
  TCustomImageList* FSubMenuImages;
  TMenuActionLink* FActionLink;
  TMenuMeasureItemEvent FOnMeasureItem;
  // The menu of a root item.
  TMenu* FMenu;

  friend class TMenu;
  friend class TPopupMenu;
};

// The link of a menu item: each property is linked while the item's value
// equals the action's.
class TMenuActionLink : public TActionLink {
  RTL_CLASS(TMenuActionLink, TActionLink)

 public:
  bool IsAutoCheckLinked() override;
  bool IsCaptionLinked() override;
  bool IsCheckedLinked() override;
  bool IsEnabledLinked() override;
  bool IsHelpContextLinked() override;
  bool IsHelpLinked() override { return IsHelpContextLinked(); }
  bool IsHintLinked() override;
  bool IsImageIndexLinked() override;
  bool IsShortCutLinked() override;
  bool IsVisibleLinked() override;
  bool IsOnExecuteLinked() override;
  TMenuItem* GetClient() const { return FClient; }

 protected:
  // The client must be a TMenuItem (EInvalidCast).
  void AssignClient(rtl::TObject* AClient) override;
  void SetAutoCheck(bool AValue) override;
  void SetCaption(const String& AValue) override;
  void SetChecked(bool AValue) override;
  void SetEnabled(bool AValue) override;
  void SetHelpContext(THelpContext AValue) override;
  void SetHint(const String& AValue) override;
  void SetImageIndex(int AValue) override;
  void SetShortCut(TShortCut AValue) override;
  void SetVisible(bool AValue) override;
  void SetOnExecute(rtl::TNotifyEvent AValue) override;

  TMenuItem* FClient;
};

using TMenuActionLinkClass = rtl::ClassOf<TMenuActionLink>;

// ---------------------------------------------------------------------------
// Menus

class TMenu : public rtl::TComponent {
  RTL_CLASS(TMenu, rtl::TComponent)
  RTL_PUBLISHED(RTL_PROPERTY(BiDiMode, GetBiDiMode, SetBiDiMode, RTL_STORED(IsBiDiModeStored)),
                RTL_PROPERTY(Images, GetImages, SetImages),
                RTL_PROPERTY(ParentBiDiMode, GetParentBiDiMode, SetParentBiDiMode, RTL_DEFAULT(true)))

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;

  // The root item; its children are the menu's entries.
  TMenuItem* GetItems() const { return FItems; }
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* AValue);
  // With ParentBiDiMode the menu reads its owner control's BiDiMode (left
  // to right without one); setting BiDiMode clears ParentBiDiMode.
  TBiDiMode GetBiDiMode() const;
  void SetBiDiMode(TBiDiMode AValue);
  bool GetParentBiDiMode() const { return !FBiDiModeAssigned; }
  void SetParentBiDiMode(bool AValue) { FBiDiModeAssigned = !AValue; }
  // Right to left: popups open leftwards and entries read right to left.
  bool IsRightToLeft() const { return GetBiDiMode() != TBiDiMode::bdLeftToRight; }
  // Clicks the enabled item of the key's short cut and answers true; false
  // when no item has it or it or one of its parents is disabled.
  bool IsShortCut(TWMKey& AMessage);
  // Clicks the item of a command number the native menu sent; false when
  // no item has it.
  bool DispatchCommand(UINT ACommand);
  // Writes the top items the root owns, as children of the menu.
  void GetChildren(const rtl::TGetChildProc& AProc, rtl::TComponent* ARoot) override;

 protected:
  void Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation) override;
  bool IsBiDiModeStored() const { return FBiDiModeAssigned; }

 private:
  TMenuItem* FItems;
  TCustomImageList* FImages;
  TBiDiMode FBiDiMode;
  bool FBiDiModeAssigned;
};

class TMainMenu : public TMenu {
  RTL_CLASS(TMainMenu, TMenu)

 public:
  // A menu bar built from the items; the caller destroys it.
  HMENU CreateMenuBar() { return GetItems()->CreateNativeMenu(true); }
};

RTL_ENUM(TPopupAlignment, paLeft, paRight, paCenter);

class TPopupMenu : public TMenu {
  RTL_CLASS(TPopupMenu, TMenu)
  RTL_PUBLISHED(RTL_PROPERTY(Alignment, GetAlignment, SetAlignment, RTL_DEFAULT(TPopupAlignment::paLeft)),
                RTL_PROPERTY(AutoPopup, GetAutoPopup, SetAutoPopup, RTL_DEFAULT(true)),
                RTL_PROPERTY(OnPopup, GetOnPopup, SetOnPopup))

 public:
  void Create(rtl::TComponent* AOwner) override;
  // Closes a menu shown at the time (a handler inside the menu's loop may
  // free the menu).
  void Destroy() override;

  // OnPopup, then the visible items as a native popup menu at the screen
  // point (X, Y), aligned by Alignment; the chosen item is clicked after
  // the menu has closed. Nothing is shown without a visible item.
  virtual void Popup(int X, int Y);

  TPopupAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TPopupAlignment AValue) { FAlignment = AValue; }
  bool GetAutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool AValue) { FAutoPopup = AValue; }
  // The component the menu was last shown for; the showing code sets it.
  // Nil again once that component is freed.
  rtl::TComponent* GetPopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(rtl::TComponent* AValue);
  TPoint GetPopupPoint() const { return FPopupPoint; }
  rtl::TNotifyEvent GetOnPopup() const { return FOnPopup; }
  void SetOnPopup(rtl::TNotifyEvent AValue) { FOnPopup = AValue; }

 protected:
  virtual void DoPopup(rtl::TObject* ASender);
  void Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation) override;
  // The one call into Windows: TrackPopupMenu with TPM_RETURNCMD, answering
  // the chosen command or 0. Tests replace it to choose for the user.
  virtual UINT TrackMenu(HMENU AMenu, UINT AFlags, int X, int Y, HWND AWindow);

 private:
  // Destroys AWindow; FWindow becomes AOuter, the window of the showing
  // this one was nested in (nil when none).
  void ReleaseWindow(HWND AWindow, HWND AOuter);
  void WndProc(rtl::TMessage& AMessage);

  rtl::TComponent* FPopupComponent;
  rtl::TNotifyEvent FOnPopup;
  TPoint FPopupPoint;
  HWND FWindow;
  TPopupAlignment FAlignment;
  bool FAutoPopup;
};

}  // namespace vcl
