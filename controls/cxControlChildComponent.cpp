#include "controls/cxControlChildComponent.h"

#include "core/dxDPIAwareUtils.h"
#include "platform/vcl/Controls.h"

void TcxControlChildComponent::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FScaleFactor = rtl::New<TdxOwnedScaleFactor>();
  FScaleFactor->ListenerAdd(
      TdxScaleFactorNotifyEvent::Bind<&TcxControlChildComponent::ScaleFactorChangeHandler>(this));
  DoInitialize();
}

void TcxControlChildComponent::CreateEx(vcl::TWinControl* AControl, bool AAssignOwner)
{
  Create(AAssignOwner && AControl ? AControl->GetOwner() : nullptr);
  SetControl(AControl);
}

void TcxControlChildComponent::Destroy()
{
  rtl::IPtr<IcxControlChildComponentHost> host;
  if (FControl && rtl::Supports(FControl, &host))
    host->RemoveChildComponent(this);
  FControl = nullptr;
  if (FScaleFactor) {
    FScaleFactor->ListenerRemove(
        TdxScaleFactorNotifyEvent::Bind<&TcxControlChildComponent::ScaleFactorChangeHandler>(this));
    FScaleFactor->SetOwner(nullptr);
    rtl::FreeAndNil(FScaleFactor);
  }
  inherited::Destroy();
}

rtl::TComponent* TcxControlChildComponent::GetParentComponent()
{
  return FControl;
}

void TcxControlChildComponent::SetParentComponent(rtl::TComponent* AValue)
{
  inherited::SetParentComponent(AValue);
  rtl::IPtr<IcxControlChildComponentHost> host;
  if (rtl::Supports(AValue, &host))
    host->AddChildComponent(this);
}

bool TcxControlChildComponent::HasParent()
{
  return FControl != nullptr;
}

void TcxControlChildComponent::SetControl(vcl::TWinControl* AValue)
{
  FControl = AValue;
  rtl::IPtr<IdxScaleFactor> controlScale;
  if (AValue && rtl::Supports(AValue, &controlScale)) {
    FScaleFactor->SetOwner(controlScale->GetScaleFactor());
    FScaleFactor->SetUseOwnerValue(true);
  } else {
    FScaleFactor->SetOwner(nullptr);
  }
}

bool TcxControlChildComponent::GetIsLoading() const
{
  return GetComponentState().Contains(rtl::TComponentStateFlag::csLoading);
}

bool TcxControlChildComponent::IsDestroying() const
{
  return GetComponentState().Contains(rtl::TComponentStateFlag::csDestroying);
}

void TcxControlChildComponent::ScaleFactorChangeHandler(rtl::TObject* /*ASender*/, int M, int D, bool AIsLoading)
{
  if (!AIsLoading)
    ScaleFactorChanged(M, D);
}
