#include "editors/cxDataUtils.h"

void TcxCustomDataBinding::Create(rtl::TComponent* AOwner, rtl::TComponent* ADataComponent)
{
  inherited::Create();
  FOwner = AOwner;
  FDataComponent = ADataComponent;
}

rtl::TPersistent* TcxCustomDataBinding::GetOwner()
{
  return FOwner;
}

rtl::Variant TcxCustomDataBinding::GetStoredValue(TcxDataEditValueSource, bool)
{
  return rtl::Null();
}

void TcxCustomDataBinding::SetReadOnly(bool AValue)
{
  if (FReadOnly == AValue)
    return;
  FReadOnly = AValue;
  DoDataSetChange();
}

void TcxCustomDataBinding::SetVisualControl(rtl::TComponent* AValue)
{
  if (FVisualControl == AValue)
    return;
  FVisualControl = AValue;
  DoVisualControlChanged();
}

void TcxCustomDataBinding::DoDataChange()
{
  if (FOnDataChange)
    FOnDataChange();
}

void TcxCustomDataBinding::DoDataSetChange()
{
  if (FOnDataSetChange)
    FOnDataSetChange();
}

void TcxCustomDataBinding::DoUpdateData()
{
  if (FOnUpdateData)
    FOnUpdateData();
}
