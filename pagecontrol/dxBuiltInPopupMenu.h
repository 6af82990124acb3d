// Built-in popup menus: components that make a small menu of their own at
// run time (the page control's go dialog) build it through an adapter
// instead of a particular menu class:
// - TdxCustomBuiltInPopupMenuAdapter, the abstract item interface;
// - TdxStandardBuiltInPopupMenuAdapter, over the framework's TPopupMenu;
// - TdxBuiltInPopupMenuAdapterManager, the process-wide register of adapter
//   classes in which the class registered last is the actual one, so a
//   subsystem registered later (the bars) shows the menus in its own style.
// The unit's start-up registers the standard adapter.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/dxTypeHelpers.h"
#include "platform/rtl/ClassesComponents.h"
#include "platform/rtl/SystemEvents.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/ImgList.h"

RTL_DECLARE_UNIT(dxBuiltInPopupMenu);

class TcxLookAndFeel;

namespace vcl {
class TCustomImageList;
class TGraphic;
class TPopupMenu;
}  // namespace vcl

class TdxCustomBuiltInPopupMenuAdapter : public rtl::TComponent {
  RTL_CLASS(TdxCustomBuiltInPopupMenuAdapter, rtl::TComponent)

 public:
  void Create(rtl::TComponent* AOwner) override;

  // The items are components whose class is the adapter's business. The
  // abstract operations raise the abstract-method error.
  virtual int GetItemCount();
  virtual rtl::TComponent* GetItem(int AIndex);
  // The menu component that Popup shows.
  virtual rtl::TComponent* GetPopupMenu();
  virtual rtl::TComponent* Add(const rtl::String& ACaption, rtl::TNotifyEvent AClickEvent, std::intptr_t ATag = 0,
                               vcl::TImageIndex AImageIndex = -1, bool AEnabled = true,
                               vcl::TShortCut AShortCut = 0, rtl::TComponent* AParentItem = nullptr);
  virtual rtl::TComponent* AddSubMenu(const rtl::String& ACaption, rtl::TNotifyEvent AClickEvent,
                                      std::intptr_t ATag = 0, vcl::TImageIndex AImageIndex = -1, bool AEnabled = true,
                                      vcl::TShortCut AShortCut = 0, rtl::TComponent* AParentItem = nullptr);
  virtual void AddSeparator();
  virtual void Clear();
  // Frees the item.
  virtual void Remove(rtl::TComponent* AItem);
  virtual void SetAction(rtl::TComponent* AItem, vcl::TBasicAction* AValue);
  virtual void SetChecked(rtl::TComponent* AItem, bool AValue);
  virtual void SetDefault(rtl::TComponent* AItem, bool AValue);
  virtual void SetGlyph(rtl::TComponent* AItem, vcl::TGraphic* AGlyph);
  // The images of the whole menu.
  virtual void SetImages(vcl::TCustomImageList* AImages);
  // The images of one item's sub-menu.
  virtual void SetImages(rtl::TComponent* AItem, vcl::TCustomImageList* AImages);
  virtual void SetLookAndFeel(TcxLookAndFeel*) {}
  // Shows the menu component at the screen point; whether a menu was shown.
  virtual bool Popup(const TPoint& P);

  void Delete(int AIndex) { Remove(GetItem(AIndex)); }

  // The application's direction until one is set.
  vcl::TBiDiMode GetBiDiMode() const;
  void SetBiDiMode(vcl::TBiDiMode AValue);

 private:
  vcl::TBiDiMode FBiDiMode;
  bool FIsBiDiModeAssigned;
};

using TdxCustomBuiltInPopupMenuAdapterClass = rtl::ClassOf<TdxCustomBuiltInPopupMenuAdapter>;

// The menu is a TPopupMenu the adapter owns; its items are TMenuItems.
class TdxStandardBuiltInPopupMenuAdapter : public TdxCustomBuiltInPopupMenuAdapter {
  RTL_CLASS(TdxStandardBuiltInPopupMenuAdapter, TdxCustomBuiltInPopupMenuAdapter)

 public:
  void Create(rtl::TComponent* AOwner) override;

  int GetItemCount() override;
  rtl::TComponent* GetItem(int AIndex) override;
  rtl::TComponent* GetPopupMenu() override;
  rtl::TComponent* Add(const rtl::String& ACaption, rtl::TNotifyEvent AClickEvent, std::intptr_t ATag = 0,
                       vcl::TImageIndex AImageIndex = -1, bool AEnabled = true, vcl::TShortCut AShortCut = 0,
                       rtl::TComponent* AParentItem = nullptr) override;
  rtl::TComponent* AddSubMenu(const rtl::String& ACaption, rtl::TNotifyEvent AClickEvent, std::intptr_t ATag = 0,
                              vcl::TImageIndex AImageIndex = -1, bool AEnabled = true, vcl::TShortCut AShortCut = 0,
                              rtl::TComponent* AParentItem = nullptr) override;
  // A separator goes in only before a following item; repeated requests
  // give one.
  void AddSeparator() override { FSeparatorRequired = true; }
  void Clear() override;
  void SetAction(rtl::TComponent* AItem, vcl::TBasicAction* AValue) override;
  void SetChecked(rtl::TComponent* AItem, bool AValue) override;
  void SetDefault(rtl::TComponent* AItem, bool AValue) override;
  void SetGlyph(rtl::TComponent* AItem, vcl::TGraphic* AGlyph) override;
  void SetImages(vcl::TCustomImageList* AImages) override;
  void SetImages(rtl::TComponent* AItem, vcl::TCustomImageList* AImages) override;

  vcl::TPopupMenu* GetMenu() const { return FPopupMenu; }

 private:
  vcl::TPopupMenu* FPopupMenu;
  bool FSeparatorRequired;
};

// No instances: the register of adapter classes.
class TdxBuiltInPopupMenuAdapterManager {
 public:
  TdxBuiltInPopupMenuAdapterManager() = delete;

  // A class may be registered more than once.
  static void Register(TdxCustomBuiltInPopupMenuAdapterClass AClass);
  // Removes the first occurrence; nothing when absent.
  static void Unregister(TdxCustomBuiltInPopupMenuAdapterClass AClass);
  // The class registered last; nil when none is.
  static TdxCustomBuiltInPopupMenuAdapterClass GetActualAdapterClass();
  static bool IsActualAdapterStandard();
  // Whether the register exists (from the first registration to the last
  // unregistration).
  static bool HasRegister();
};
