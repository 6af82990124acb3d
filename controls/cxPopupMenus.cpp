#include "controls/cxPopupMenus.h"

#include <algorithm>

#include "controls/cxWindowUtils.h"
#include "controls/dxRightToLeftLayout.h"
#include "graphics/cxGraphics.h"
#include "platform/vcl/Forms.h"

namespace {

// The framework's application-wide right-to-left switch: the main form's.
bool IsApplicationRightToLeft()
{
  vcl::TCustomForm* form = vcl::Application()->GetMainForm();
  return form && form->UseRightToLeftAlignment();
}

// Restores a TPopupMenu's Alignment at the end of a scope.
class TcxPopupAlignmentScope {
 public:
  explicit TcxPopupAlignmentScope(vcl::TPopupMenu* AMenu) : FMenu(AMenu), FAlignment(AMenu->GetAlignment()) {}
  ~TcxPopupAlignmentScope() { FMenu->SetAlignment(FAlignment); }
  TcxPopupAlignmentScope(const TcxPopupAlignmentScope&) = delete;
  TcxPopupAlignmentScope& operator=(const TcxPopupAlignmentScope&) = delete;

 private:
  vcl::TPopupMenu* FMenu;
  vcl::TPopupAlignment FAlignment;
};

}  // namespace

bool cxIsPopupMenu(rtl::TComponent* AComponent)
{
  return rtl::Is<vcl::TPopupMenu>(AComponent) || rtl::Supports<IcxPopupMenu>(AComponent);
}

bool cxPopupMenuIsShortCut(rtl::TComponent* AComponent, vcl::TWMKey& AMessage)
{
  rtl::IPtr<IcxPopupMenu> menu;
  if (rtl::Supports(AComponent, &menu))
    return menu->IsShortCut(AMessage);
  if (rtl::Is<vcl::TPopupMenu>(AComponent)) {
    auto* popup = static_cast<vcl::TPopupMenu*>(AComponent);
    return popup->GetItems()->GetCount() > 0 && popup->IsShortCut(AMessage);
  }
  return false;
}

bool cxShowPopupMenu(rtl::TComponent* AComponent, rtl::TComponent* AMenu, int X, int Y)
{
  rtl::IPtr<IcxPopupMenu> menu;
  if (rtl::Supports(AMenu, &menu)) {
    menu->Popup(X, Y);
    return true;
  }
  if (!rtl::Is<vcl::TPopupMenu>(AMenu) || !static_cast<vcl::TPopupMenu*>(AMenu)->GetAutoPopup())
    return false;
  auto* popup = static_cast<vcl::TPopupMenu*>(AMenu);
  popup->SetPopupComponent(AComponent);
  popup->Popup(X, Y);
  return true;
}

bool cxShowPopupMenuAtPoint(rtl::TComponent* AComponent, rtl::TComponent* AMenu, const TPoint& P)
{
  return cxShowPopupMenu(AComponent, AMenu, P.x, P.y);
}

TPoint cxGetDropDownMenuPoint(const TRect& AButtonRect, vcl::TPopupAlignment AAlignment, bool ARightToLeft)
{
  TPoint P{AButtonRect.left, AButtonRect.bottom};
  if (ARightToLeft)
    AAlignment = TdxRightToLeftLayoutConverter::ConvertPopupAlignment(AAlignment);
  if (AAlignment == vcl::TPopupAlignment::paRight)
    P.x = AButtonRect.right;
  else if (AAlignment == vcl::TPopupAlignment::paCenter)
    P.x += (AButtonRect.right - AButtonRect.left) / 2;
  return P;
}

int cxEstimatePopupMenuHeight(vcl::TPopupMenu* AMenu)
{
  TcxScreenCanvas* canvas = cxScreenCanvas();
  if (!canvas)
    return 0;
  canvas->GetFont()->Assign(vcl::Screen()->GetMenuFont());
  const int defaultHeight = canvas->TextHeight(L"Qg") + 4;
  vcl::TMenuItem* items = AMenu->GetItems();
  int tallest = 0;
  int column = 0;
  for (int i = 0; i < items->GetCount(); ++i) {
    vcl::TMenuItem* item = items->GetItems(i);
    item->InitiateAction();
    if (!item->GetVisible())
      continue;
    if (item->GetBreak() != vcl::TMenuBreak::mbNone) {
      tallest = std::max(tallest, column);
      column = 0;
    }
    int height = defaultHeight;
    if (AMenu->GetImages() || item->GetImageList() || item->HasBitmap()) {
      int width = 0;
      item->MeasureItem(canvas->GetCanvas(), width, height);
    }
    column += height;
  }
  canvas->Dormant();
  return std::max(tallest, column) + 4;
}

bool cxShowDropDownMenu(rtl::TComponent* AComponent, rtl::TComponent* AMenu, const TRect& AButtonRect,
                        vcl::TPopupAlignment AAlignment)
{
  TPoint P = cxGetDropDownMenuPoint(AButtonRect, AAlignment, IsApplicationRightToLeft());
  rtl::IPtr<IcxPopupMenu2> menu2;
  if (rtl::Supports(AMenu, &menu2)) {
    menu2->PopupFromButton(P.x, P.y, AAlignment, AButtonRect);
    return true;
  }
  if (!rtl::Is<vcl::TPopupMenu>(AMenu) || !static_cast<vcl::TPopupMenu*>(AMenu)->GetAutoPopup())
    return false;
  auto* popup = static_cast<vcl::TPopupMenu*>(AMenu);
  TcxPopupAlignmentScope keepAlignment(popup);
  const int height = cxEstimatePopupMenuHeight(popup);
  const TRect area = cxGetWorkAreaAtPoint(P);
  if (P.y + height > area.bottom)
    P.y -= height + (AButtonRect.bottom - AButtonRect.top) + 2;
  if (P.x <= area.left)
    popup->SetAlignment(vcl::TPopupAlignment::paRight);
  else if (P.x >= area.right)
    popup->SetAlignment(vcl::TPopupAlignment::paLeft);
  else
    popup->SetAlignment(AAlignment);
  popup->SetPopupComponent(AComponent);
  popup->Popup(P.x, P.y);
  return true;
}
