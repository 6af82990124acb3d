// The tab control: the window that owns the settings, the view info and the
// painter, lays them out on every change and turns clicks and keys into tab
// selections.
#include "pagecontrol/cxPC.h"

#include "core/dxCore.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "pagecontrol/cxPCConsts.h"
#include "platform/rtl/SysUtilsFormat.h"

void TcxCustomTabControl::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FFocusable = true;
  FProperties = PropertiesClass().Create(this);
  FProperties->SetOnChanged(
      TcxCustomTabControlPropertiesChangedEvent::Bind<&TcxCustomTabControl::PropertiesChangedHandler>(this));
  FProperties->SetOnChange(rtl::TNotifyEvent::Bind<&TcxCustomTabControl::PropertiesChangeHandler>(this));
  FProperties->SetOnChanging(TcxTabChangingEvent::Bind<&TcxCustomTabControl::PropertiesChangingHandler>(this));
  FProperties->SetOnStyleChanged(rtl::TNotifyEvent::Bind<&TcxCustomTabControl::StyleChangedHandler>(this));
  FViewInfo = ViewInfoClass().Create(static_cast<IcxTabControl*>(this));
  SetBorderStyle(TcxControlBorderStyle::cxcbsNone);
  SetTabStop(true);
  SetKeys({TcxKey::kArrows});
  SetWidth(289);
  SetHeight(193);
  RecreatePainter();
}

void TcxCustomTabControl::Destroy()
{
  rtl::FreeAndNil(FPainter);
  rtl::FreeAndNil(FViewInfo);
  rtl::FreeAndNil(FProperties);
  inherited::Destroy();
}

rtl::ClassOf<TcxCustomTabControlProperties> TcxCustomTabControl::PropertiesClass() const
{
  return rtl::ClassOf<TcxCustomTabControlProperties>::Of<TcxCustomTabControlProperties>();
}

rtl::ClassOf<TcxCustomTabControlViewInfo> TcxCustomTabControl::ViewInfoClass() const
{
  return rtl::ClassOf<TcxCustomTabControlViewInfo>::Of<TcxCustomTabControlViewInfo>();
}

void TcxCustomTabControl::RaiseControlError(const wchar_t* AOperation, const rtl::String& AText) const
{
  throw EdxException(rtl::String(L"TcxCustomTabControl.") + AOperation + L": " + AText);
}

void TcxCustomTabControl::RecreatePainter()
{
  const TcxPCPainterClass painterClass = FViewInfo->GetPainterClass();
  if (FPainter && painterClass && FPainter->ClassType() == painterClass.ClassType())
    return;
  rtl::FreeAndNil(FPainter);
  if (!painterClass)
    RaiseControlError(L"GetPainterInstance", dxLookupResourceString(scxPCPainterClassError));
  FPainter = painterClass.Create(FViewInfo);
  SetDoubleBuffered(FPainter->NeedDoubleBuffered());
  LayoutChanged();
  InvalidateWithChildren();
}

void TcxCustomTabControl::SetStandardStyle(TcxPCStandardStyle AStandardStyle)
{
  TcxPCPaintersFactory* factory = PaintersFactory();
  const TcxPCPainterClass painterClass = factory ? factory->GetPainterClass(AStandardStyle) : nullptr;
  if (!painterClass)
    RaiseControlError(L"SetStandardStyle", rtl::Format(dxLookupResourceString(scxPCStandardStyleError),
                                                       {rtl::GetEnumName(AStandardStyle)}));
  const rtl::TOwnedPtr<TcxPCCustomPainter> prototype(painterClass.Create(nullptr));
  FProperties->SetStyle(prototype->GetStyleID());
}

void TcxCustomTabControl::SetStyleByStyleName(const rtl::String& AStyleName)
{
  if (AStyleName == L"Default") {
    FProperties->SetStyle(0);
    return;
  }
  TcxPCPaintersFactory* factory = PaintersFactory();
  const TcxPCPainterClass painterClass = factory ? factory->GetPainterClass(AStyleName) : nullptr;
  if (!painterClass)
    RaiseControlError(L"SetStyleByName", rtl::Format(dxLookupResourceString(scxPCStyleNameError), {AStyleName}));
  const rtl::TOwnedPtr<TcxPCCustomPainter> prototype(painterClass.Create(nullptr));
  FProperties->SetStyle(prototype->GetStyleID());
}

bool TcxCustomTabControl::CanFocus()
{
  return inherited::CanFocus() && FFocusable;
}

int TcxCustomTabControl::IndexOfTabAt(int X, int Y)
{
  const int visibleIndex = FViewInfo->VisibleIndexOfTabAt(X, Y);
  return visibleIndex == -1 ? -1 : FViewInfo->GetTabViewInfo(visibleIndex)->GetIndex();
}

void TcxCustomTabControl::DesignerModified()
{
  if (!IsLoading())
    DoDesignerModified();
}

void TcxCustomTabControl::LayoutChanged()
{
  if (IsLoading() || IsDestroying() || !FPainter)
    return;
  RecalculateAndPaint();
}

void TcxCustomTabControl::RecalculateAndPaint()
{
  FViewInfo->Calculate();
  Realign();
  Invalidate();
}

void TcxCustomTabControl::AfterLoad()
{
  // The tab index read from the stream is applied now that the tabs exist.
  const int tabIndex = FProperties->GetTabIndex();
  FProperties->InternalSetTabIndex(-1);
  FProperties->SetTabIndex(tabIndex);
}

void TcxCustomTabControl::Loaded()
{
  inherited::Loaded();
  AfterLoad();
  FProperties->GetTabs()->Changed(nullptr, cxTabChangeLayout);
  LayoutChanged();
}

void TcxCustomTabControl::AdjustClientRect(TRect& ARect)
{
  if (FPainter && !IsLoading())
    ARect = FViewInfo->PageClientRect();
}

void TcxCustomTabControl::BoundsChanged()
{
  inherited::BoundsChanged();
  LayoutChanged();
}

void TcxCustomTabControl::FontChanged()
{
  inherited::FontChanged();
  LayoutChanged();
}

void TcxCustomTabControl::LookAndFeelChanged(TcxLookAndFeel* ASender, TcxLookAndFeelValues AChangedValues)
{
  inherited::LookAndFeelChanged(ASender, AChangedValues);
  if (FViewInfo && !IsDestroying())
    RecreatePainter();
}

void TcxCustomTabControl::DoPaint()
{
  inherited::DoPaint();
  if (FPainter)
    FPainter->Paint(GetCanvas());
}

void TcxCustomTabControl::EraseBackground(HDC)
{
  // The painter covers every pixel; erasing would only flicker.
}

void TcxCustomTabControl::PropertiesChangedHandler(rtl::TObject*, TcxCustomTabControlPropertiesChangedType AType)
{
  if (AType == TcxCustomTabControlPropertiesChangedType::pctLight)
    Invalidate();
  else
    LayoutChanged();
}

void TcxCustomTabControl::PropertiesChangeHandler(rtl::TObject*)
{
  DoChange();
}

void TcxCustomTabControl::DoChange()
{
  if (!IsChangeEventLocked() && FOnChange)
    FOnChange(this);
}

void TcxCustomTabControl::PropertiesChangingHandler(rtl::TObject*, bool& AllowChange)
{
  if (!IsChangeEventLocked() && FOnChanging)
    FOnChanging(this, AllowChange);
}

void TcxCustomTabControl::StyleChangedHandler(rtl::TObject*)
{
  RecreatePainter();
}

void TcxCustomTabControl::SelectNextTab(bool AGoForward)
{
  const int next = FViewInfo->FindNextTab(FViewInfo->GetMainTabVisibleIndex(), AGoForward);
  if (next != -1)
    FViewInfo->GetTabViewInfo(next)->Select();
}

void TcxCustomTabControl::KeyDown(WORD& AKey, vcl::TShiftState AShift)
{
  inherited::KeyDown(AKey, AShift);
  const bool ctrl = AShift.Contains(vcl::TShiftStateItem::ssCtrl);
  if (AKey == VK_TAB && ctrl) {
    SelectNextTab(!AShift.Contains(vcl::TShiftStateItem::ssShift));
    AKey = 0;
  } else if (AKey == VK_LEFT || AKey == VK_UP || AKey == VK_RIGHT || AKey == VK_DOWN) {
    SelectNextTab(AKey == VK_RIGHT || AKey == VK_DOWN);
    AKey = 0;
  }
}

void TcxCustomTabControl::MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  // A handler may free the control: nothing of it is touched after that.
  const rtl::TFreeWatch watch(this);
  inherited::MouseDown(AButton, AShift, X, Y);
  if (watch.Freed() || AButton != vcl::TMouseButton::mbLeft)
    return;
  for (int i = 0; i < FViewInfo->NavigatorButtonCount(); ++i) {
    const TcxPCHeaderButton& button = FViewInfo->GetNavigatorButtonInfo(i);
    const POINT P{X, Y};
    if (PtInRect(&button.Bounds, P)) {
      if (FViewInfo->ScrollByNavigatorButton(button.Kind))
        LayoutChanged();
      return;
    }
  }
  const int visibleIndex = FViewInfo->VisibleIndexOfTabAt(X, Y);
  if (visibleIndex == -1 || !FViewInfo->IsTabAccessible(visibleIndex))
    return;
  TcxTabViewInfo* tab = FViewInfo->GetTabViewInfo(visibleIndex);
  tab->Select();
  if (watch.Freed())
    return;
  FProperties->DoTabClick(visibleIndex, AShift);
}
