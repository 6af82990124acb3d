// The tab control: the window that owns the settings, the view info and the
// painter, lays them out on every change and turns clicks and keys into tab
// selections.
#include "pagecontrol/cxPC.h"

#include <algorithm>

#include "core/dxCore.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "pagecontrol/cxPCConsts.h"
#include "platform/rtl/ClassesFiler.h"
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
  FController = rtl::New<TcxCustomTabControlController>(static_cast<IcxTabControl*>(this));
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
  rtl::FreeAndNil(FController);
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

TRect TcxCustomTabControl::GetPageAreaRect()
{
  if (IsLoading() || !FPainter) {
    // Before the painter's metrics count, the pages take the area the
    // stream recorded, so that their children keep their places.
    if (FIsClientRectLoaded)
      return FClientRect;
    return TRect{0, 0, GetWidth(), GetHeight()};
  }
  TRect R = FViewInfo->PageClientRect();
  R.right = std::max(R.right, R.left);
  R.bottom = std::max(R.bottom, R.top);
  return R;
}

void TcxCustomTabControl::AdjustClientRect(TRect& ARect)
{
  ARect = GetPageAreaRect();
}

// ---------------------------------------------------------------------------
// The page area in form streams

void TcxCustomTabControl::DefineProperties(rtl::TFiler* AFiler)
{
  inherited::DefineProperties(AFiler);
  auto* ancestor = rtl::As<TcxCustomTabControl>(AFiler->GetAncestor());
  const TRect R = GetPageAreaRect();
  TRect ancestorRect{};
  if (ancestor)
    ancestorRect = ancestor->GetPageAreaRect();
  auto stores = [&](int AValue, int AAncestorValue, bool AAlways) {
    return ancestor ? AValue != AAncestorValue : AAlways || AValue != 0;
  };
  AFiler->DefineProperty(L"ClientRectBottom", rtl::TReaderProc::Bind<&TcxCustomTabControl::ReadClientRectBottom>(this),
                         rtl::TWriterProc::Bind<&TcxCustomTabControl::WriteClientRectBottom>(this),
                         stores(R.bottom, ancestorRect.bottom, false));
  AFiler->DefineProperty(L"ClientRectLeft", rtl::TReaderProc::Bind<&TcxCustomTabControl::ReadClientRectLeft>(this),
                         rtl::TWriterProc::Bind<&TcxCustomTabControl::WriteClientRectLeft>(this),
                         stores(R.left, ancestorRect.left, false));
  AFiler->DefineProperty(L"ClientRectRight", rtl::TReaderProc::Bind<&TcxCustomTabControl::ReadClientRectRight>(this),
                         rtl::TWriterProc::Bind<&TcxCustomTabControl::WriteClientRectRight>(this),
                         stores(R.right, ancestorRect.right, true));
  AFiler->DefineProperty(L"ClientRectTop", rtl::TReaderProc::Bind<&TcxCustomTabControl::ReadClientRectTop>(this),
                         rtl::TWriterProc::Bind<&TcxCustomTabControl::WriteClientRectTop>(this),
                         stores(R.top, ancestorRect.top, true));
  // The reader has passed the page area now; from here the pages use it.
  if (rtl::Is<rtl::TReader>(AFiler))
    FIsClientRectLoaded = true;
}

void TcxCustomTabControl::ReadClientRectSide(rtl::TReader* AReader, TcxPCClientRectSide ASide)
{
  const int value = AReader->ReadInteger();
  switch (ASide) {
    case TcxPCClientRectSide::crsLeft:
      FClientRect.left = value;
      break;
    case TcxPCClientRectSide::crsTop:
      FClientRect.top = value;
      break;
    case TcxPCClientRectSide::crsRight:
      FClientRect.right = value;
      break;
    case TcxPCClientRectSide::crsBottom:
      FClientRect.bottom = value;
      break;
  }
  FScalingFlags.Include(ASide);
}

void TcxCustomTabControl::WriteClientRectLeft(rtl::TWriter* AWriter)
{
  AWriter->WriteInteger(static_cast<int>(GetPageAreaRect().left));
}

void TcxCustomTabControl::WriteClientRectTop(rtl::TWriter* AWriter)
{
  AWriter->WriteInteger(static_cast<int>(GetPageAreaRect().top));
}

void TcxCustomTabControl::WriteClientRectRight(rtl::TWriter* AWriter)
{
  AWriter->WriteInteger(static_cast<int>(GetPageAreaRect().right));
}

void TcxCustomTabControl::WriteClientRectBottom(rtl::TWriter* AWriter)
{
  AWriter->WriteInteger(static_cast<int>(GetPageAreaRect().bottom));
}

void TcxCustomTabControl::DoChangeScale(int M, int D, bool AIsDpiChange)
{
  if (M != D && (!IsLoading() || !FScalingFlags.Empty())) {
    using S = TcxPCClientRectSide;
    if (FScalingFlags.Contains(S::crsLeft))
      FClientRect.left = MulDiv(FClientRect.left, M, D);
    if (FScalingFlags.Contains(S::crsTop))
      FClientRect.top = MulDiv(FClientRect.top, M, D);
    if (FScalingFlags.Contains(S::crsRight))
      FClientRect.right = MulDiv(FClientRect.right, M, D);
    if (FScalingFlags.Contains(S::crsBottom))
      FClientRect.bottom = MulDiv(FClientRect.bottom, M, D);
    FProperties->ChangeScale(M, D);
  }
  FScalingFlags = {};
  inherited::DoChangeScale(M, D, AIsDpiChange);
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
  const rtl::TFreeWatch watch(this);
  inherited::KeyDown(AKey, AShift);
  if (!watch.Freed() && AKey != 0 && FController->KeyDown(AKey, AShift))
    AKey = 0;
}

void TcxCustomTabControl::HandleDialogChar(rtl::TMessage& AMessage)
{
  if (FController->DialogChar(static_cast<wchar_t>(AMessage.WParam))) {
    AMessage.Result = 1;
    return;
  }
  rtl::InheritedMessage(this, AMessage);
}

void TcxCustomTabControl::MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  // A handler may free the control: nothing of it is touched after that.
  const rtl::TFreeWatch watch(this);
  inherited::MouseDown(AButton, AShift, X, Y);
  if (!watch.Freed())
    FController->MouseDown(AButton, AShift, X, Y);
}

void TcxCustomTabControl::MouseMove(vcl::TShiftState AShift, int X, int Y)
{
  const rtl::TFreeWatch watch(this);
  inherited::MouseMove(AShift, X, Y);
  if (!watch.Freed())
    FController->MouseMove(AShift, X, Y);
}

void TcxCustomTabControl::MouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y)
{
  const rtl::TFreeWatch watch(this);
  inherited::MouseUp(AButton, AShift, X, Y);
  if (!watch.Freed())
    FController->MouseUp(AButton, AShift, X, Y);
}

void TcxCustomTabControl::MouseLeave(vcl::TControl* AControl)
{
  inherited::MouseLeave(AControl);
  if (!IsDestroying())
    FController->MouseLeave();
}

bool TcxCustomTabControl::DoMouseWheel(vcl::TShiftState AShift, int AWheelDelta, TPoint AMousePos)
{
  if (inherited::DoMouseWheel(AShift, AWheelDelta, AMousePos))
    return true;
  // The wheel position comes in screen coordinates.
  const TPoint P = ScreenToClient(AMousePos);
  return AWheelDelta < 0 ? FController->WheelDown(AShift, P) : FController->WheelUp(AShift, P);
}

void TcxCustomTabControl::FocusChanged()
{
  inherited::FocusChanged();
  if (FController)
    FController->FocusChanged();
}
