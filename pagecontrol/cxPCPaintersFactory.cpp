#include "pagecontrol/cxPCPaintersFactory.h"

#include "core/dxCore.h"
#include "pagecontrol/cxPC.h"
#include "pagecontrol/cxPCConsts.h"
#include "platform/rtl/SysUtils.h"

namespace {

// Made by the first registration, freed by the last unregistration.
TcxPCPaintersFactory* FPaintersFactory = nullptr;

}  // namespace

void TcxPCPaintersFactory::Destroy()
{
  for (TRegisteredClass& item : FPainterClassList)
    rtl::Free(item.Prototype);
  FPainterClassList.clear();
  inherited::Destroy();
}

int TcxPCPaintersFactory::IndexOf(TcxPCPainterClass APainterClass) const
{
  for (std::size_t i = 0; i < FPainterClassList.size(); ++i)
    if (FPainterClassList[i].PainterClass.ClassType() == APainterClass.ClassType())
      return static_cast<int>(i);
  return -1;
}

void TcxPCPaintersFactory::RegisterPCPainterClass(TcxPCPainterClass APainterClass)
{
  if (!APainterClass || IndexOf(APainterClass) >= 0)
    return;
  TcxPCCustomPainter* prototype = APainterClass.Create(nullptr);
  FPainterClassList.push_back({APainterClass, prototype});
}

void TcxPCPaintersFactory::UnregisterPCPainterClass(TcxPCPainterClass APainterClass)
{
  const int index = IndexOf(APainterClass);
  if (index < 0)
    return;
  TcxPCCustomPainter* prototype = FPainterClassList[index].Prototype;
  FPainterClassList.erase(FPainterClassList.begin() + index);
  rtl::Free(prototype);
}

const TcxPCCustomPainter* TcxPCPaintersFactory::Prototype(int AIndex) const
{
  if (AIndex < 0 || AIndex >= GetPainterClassCount())
    throw rtl::EListError(rtl::Format(L"List index out of bounds (%d)", {AIndex}));
  return FPainterClassList[AIndex].Prototype;
}

TcxPCPainterClass TcxPCPaintersFactory::InternalGetPainterClass(int AIndex) const
{
  Prototype(AIndex);
  return FPainterClassList[AIndex].PainterClass;
}

TcxPCStyleID TcxPCPaintersFactory::GetPainterStyleID(int AIndex) const
{
  return Prototype(AIndex)->GetStyleID();
}

TcxPCPainterClass TcxPCPaintersFactory::GetPainterClass(TcxPCStyleID AStyleID) const
{
  for (const TRegisteredClass& item : FPainterClassList)
    if (item.Prototype->GetStyleID() == AStyleID)
      return item.PainterClass;
  return nullptr;
}

TcxPCPainterClass TcxPCPaintersFactory::GetPainterClass(const rtl::String& AStyleName) const
{
  const rtl::String name = rtl::AnsiUpperCase(AStyleName);
  for (const TRegisteredClass& item : FPainterClassList)
    if (rtl::AnsiUpperCase(item.Prototype->GetStyleName()) == name)
      return item.PainterClass;
  return nullptr;
}

TcxPCPainterClass TcxPCPaintersFactory::GetPainterClass(TcxPCStandardStyle AStandardStyle) const
{
  for (const TRegisteredClass& item : FPainterClassList)
    if (item.Prototype->IsStandardStyle() && item.Prototype->GetStandardStyle() == AStandardStyle)
      return item.PainterClass;
  return nullptr;
}

TcxPCStyleID TcxPCPaintersFactory::GetStyleID(TcxLookAndFeel* ALookAndFeel) const
{
  for (auto it = FPainterClassList.rbegin(); it != FPainterClassList.rend(); ++it)
    if (it->Prototype->HasLookAndFeel(ALookAndFeel))
      return it->Prototype->GetStyleID();
  return -1;
}

TcxPCStyleID TcxPCPaintersFactory::GetDefaultStyleID(TcxLookAndFeel* ALookAndFeel) const
{
  if (FPainterClassList.empty())
    throw EdxException(rtl::String(L"TcxPCPaintersFactory.GetDefaultStyleID: ") +
                       dxLookupResourceString(scxPCNoRegisteredStyles));
  for (auto it = FPainterClassList.rbegin(); it != FPainterClassList.rend(); ++it)
    if (it->Prototype->IsDefault(ALookAndFeel))
      return it->Prototype->GetStyleID();
  return FPainterClassList.front().Prototype->GetStyleID();
}

TcxPCPaintersFactory* PaintersFactory()
{
  return FPaintersFactory;
}

void RegisterPainterClass(TcxPCPainterClass APainterClass)
{
  if (!FPaintersFactory)
    FPaintersFactory = rtl::New<TcxPCPaintersFactory>();
  FPaintersFactory->RegisterPCPainterClass(APainterClass);
}

void UnregisterPainterClass(TcxPCPainterClass APainterClass)
{
  if (!FPaintersFactory)
    return;
  FPaintersFactory->UnregisterPCPainterClass(APainterClass);
  if (FPaintersFactory->GetPainterClassCount() == 0)
    rtl::FreeAndNil(FPaintersFactory);
}
