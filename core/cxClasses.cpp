#include "core/cxClasses.h"

void TcxOwnedPersistent::Create(rtl::TPersistent* AOwner)
{
  inherited::Create();
  FOwner = AOwner;
}

void TcxOwnedPersistent::Assign(rtl::TPersistent* ASource)
{
  if (rtl::Is<TcxOwnedPersistent>(ASource))
    CopyFrom(ASource);
  else
    inherited::Assign(ASource);
}

rtl::TPersistent* TcxOwnedPersistent::GetOwner()
{
  return FOwner;
}

void TcxOwnedPersistent::CopyFrom(rtl::TPersistent* /*ASource*/) {}
