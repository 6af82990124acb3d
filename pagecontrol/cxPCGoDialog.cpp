#include "pagecontrol/cxPCGoDialog.h"

#include "pagecontrol/dxBuiltInPopupMenu.h"
#include "platform/rtl/Classes.h"
#include "platform/vcl/Menus.h"

// ---------------------------------------------------------------------------
// TcxPCCustomGoDialog

void TcxPCCustomGoDialog::Create(IcxTabControl* ATabControl)
{
  inherited::Create();
  FTabControl = ATabControl;
}

bool TcxPCCustomGoDialog::Popup(int, int)
{
  rtl::AbstractError();
}

void TcxPCCustomGoDialog::DoClick(int ATabVisibleIndex)
{
  if (FOnClick)
    FOnClick(ATabVisibleIndex);
}

// ---------------------------------------------------------------------------
// TcxPCGoDialog

void TcxPCGoDialog::Create(IcxTabControl* ATabControl)
{
  inherited::Create(ATabControl);
  FAdapter = nullptr;
}

void TcxPCGoDialog::Destroy()
{
  rtl::FreeAndNil(FAdapter);
  inherited::Destroy();
}

TdxCustomBuiltInPopupMenuAdapter* TcxPCGoDialog::GetAdapter()
{
  // The class is taken once: an adapter registered later leaves an existing
  // dialog as it is.
  if (!FAdapter) {
    const TdxCustomBuiltInPopupMenuAdapterClass adapterClass =
        TdxBuiltInPopupMenuAdapterManager::GetActualAdapterClass();
    if (adapterClass)
      FAdapter = adapterClass.Create(nullptr);
  }
  return FAdapter;
}

bool TcxPCGoDialog::Popup(int X, int Y)
{
  TdxCustomBuiltInPopupMenuAdapter* adapter = GetAdapter();
  if (!adapter)
    return false;
  BuildMenu(adapter);
  return adapter->Popup(TPoint{X, Y});
}

void TcxPCGoDialog::BuildMenu(TdxCustomBuiltInPopupMenuAdapter* AAdapter)
{
  TcxCustomTabControlViewInfo* viewInfo = ViewInfo();
  TcxCustomTabControlProperties* properties = GetTabControl()->GetProperties();
  // The entries, sorted by their captions without accelerator marks when
  // the settings ask for it.
  const rtl::TOwnedPtr<rtl::TStringList> entries(rtl::New<rtl::TStringList>());
  entries->SetSorted(properties->GetOptions().Contains(TcxPCOption::pcoSort));
  for (int i = 0; i < viewInfo->TabsViewInfoCount(); ++i) {
    TcxTabViewInfo* tab = viewInfo->GetTabViewInfo(i);
    if (!tab->GetTab()->IsNewButton() && tab->GetTab()->GetVisible() && tab->ActuallyEnabled())
      entries->AddObject(vcl::StripHotkey(tab->GetCaption()), tab);
  }

  AAdapter->Clear();
  AAdapter->SetLookAndFeel(GetTabControl()->GetControlLookAndFeel());
  AAdapter->SetImages(properties->GetImages()->GetBaseImages());
  const int tabIndex = viewInfo->GetTabIndex();
  for (int i = 0; i < entries->GetCount(); ++i) {
    auto* tab = static_cast<TcxTabViewInfo*>(entries->GetObjects(i));
    rtl::TComponent* item =
        AAdapter->Add(tab->GetCaption(), rtl::TNotifyEvent::Bind<&TcxPCGoDialog::ItemClickHandler>(this),
                      tab->GetVisibleIndex(), tab->GetImageIndex(), true, 0, nullptr);
    const bool active = tab->GetIndex() == tabIndex;
    AAdapter->SetChecked(item, active);
    AAdapter->SetDefault(item, active);
  }
}

void TcxPCGoDialog::ItemClickHandler(rtl::TObject* ASender)
{
  // The item's tag is the tab's visible index.
  DoClick(static_cast<int>(rtl::As<rtl::TComponent>(ASender)->GetTag()));
}
