// The go dialog: the menu a tab control shows from its go-dialog button,
// one item per tab that can be chosen, the active tab checked and default.
// Choosing an item reports the tab's visible index through OnClick. The
// menu is built through the built-in popup menu adapter the adapter manager
// names as actual.
#pragma once

#include "pagecontrol/cxPC.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemEvents.h"

class TdxCustomBuiltInPopupMenuAdapter;

using TcxPCGoDialogClickEvent = rtl::TMethod<void(int ATabVisibleIndex)>;

class TcxPCCustomGoDialog : public rtl::TObject {
  RTL_CLASS(TcxPCCustomGoDialog, rtl::TObject)

 public:
  virtual void Create(IcxTabControl* ATabControl);

  // Shows the menu at the screen point; whether it was shown.
  virtual bool Popup(int X, int Y);

  IcxTabControl* GetTabControl() const { return FTabControl; }
  TcxCustomTabControlViewInfo* ViewInfo() const { return FTabControl->GetViewInfo(); }
  TcxPCGoDialogClickEvent GetOnClick() const { return FOnClick; }
  void SetOnClick(TcxPCGoDialogClickEvent AValue) { FOnClick = AValue; }

 protected:
  void DoClick(int ATabVisibleIndex);

 private:
  IcxTabControl* FTabControl;
  TcxPCGoDialogClickEvent FOnClick;
};

class TcxPCGoDialog : public TcxPCCustomGoDialog {
  RTL_CLASS(TcxPCGoDialog, TcxPCCustomGoDialog)

 public:
  void Create(IcxTabControl* ATabControl) override;
  void Destroy() override;

  // Rebuilds the menu from the tabs and shows it; false without an adapter
  // class registered.
  bool Popup(int X, int Y) override;
  // Made on first use from the class actual then; nil when none is
  // registered.
  TdxCustomBuiltInPopupMenuAdapter* GetAdapter();

 private:
  void BuildMenu(TdxCustomBuiltInPopupMenuAdapter* AAdapter);
  void ItemClickHandler(rtl::TObject* ASender);

  TdxCustomBuiltInPopupMenuAdapter* FAdapter;
};
