// Skin properties, colour values with their palette references, the colour
// palettes and the palette choices of the skin (part of the unit dxSkinsCore).
#include <objbase.h>

#include <algorithm>
#include <cwctype>

#include "core/cxGeometry.h"
#include "graphics/cxGraphicsColors.h"
#include "platform/rtl/ClassesComponents.h"
#include "skins/dxSkinsCore.h"

namespace {

constexpr TdxAlphaColor SkinsDefaultAlphaColorMarker = 0x00010203;

// The skin property classes a package may name; made with the first
// registration, freed with the last.
std::vector<rtl::TClass>* SkinsPropertyClasses = nullptr;

void EraseIgnoringCase(rtl::String& AText, std::wstring_view APart)
{
  const auto lower = [](rtl::String S) {
    std::transform(S.begin(), S.end(), S.begin(), [](wchar_t C) { return static_cast<wchar_t>(std::towlower(C)); });
    return S;
  };
  const rtl::String part = lower(rtl::String(APart));
  for (std::size_t at = lower(AText).find(part); at != rtl::String::npos; at = lower(AText).find(part))
    AText.erase(at, part.size());
}

template <class T>
T* SameClassOrNil(rtl::TPersistent* ASource)
{
  return rtl::Is<T>(ASource) ? static_cast<T*>(ASource) : nullptr;
}

}  // namespace

// ---------------------------------------------------------------------------
// TdxSkinColorValue

void TdxSkinColorValue::Create(TdxSkinCustomObject* AOwner, vcl::TColor ADefault)
{
  FOwner = AOwner;
  FDefaultValue = ADefault;
  FValue = ADefault;
  FValueReference.clear();
}

void TdxSkinColorValue::Assign(const TdxSkinColorValue& ASource)
{
  FValue = ASource.FValue;
  FValueReference = ASource.FValueReference;
  FlushCache();
  Announce();
}

bool TdxSkinColorValue::Equals(const TdxSkinColorValue& AOther) const
{
  return FValue == AOther.FValue && FValueReference == AOther.FValueReference;
}

bool TdxSkinColorValue::GetColorPalette(rtl::IPtr<IdxSkinColorPalette>& APalette) const
{
  for (rtl::TPersistent* object = FOwner; object; object = object->GetOwner())
    if (rtl::Supports<IdxSkinColorPalette>(object, &APalette))
      return true;
  return false;
}

void TdxSkinColorValue::FlushCache()
{
  if (!FValueReference.empty())
    FValue = dxSkinUnresolvedColor;
}

void TdxSkinColorValue::ResetToDefaults()
{
  if (FValue != FDefaultValue || !FValueReference.empty()) {
    FValue = FDefaultValue;
    FValueReference.clear();
    Announce();
  }
}

vcl::TColor TdxSkinColorValue::GetValue()
{
  if (FValue == dxSkinUnresolvedColor) {
    // The default stands while the reference is looked up, so a palette
    // colour that refers back to itself reads as the default instead of
    // resolving forever.
    FValue = FDefaultValue;
    rtl::IPtr<IdxSkinColorPalette> palette;
    vcl::TColor color = FDefaultValue;
    if (!FValueReference.empty() && GetColorPalette(palette) && palette->GetPaletteColor(FValueReference, color))
      FValue = color;
  }
  return FValue;
}

void TdxSkinColorValue::SetValue(vcl::TColor AValue)
{
  if (AValue != FValue || !FValueReference.empty()) {
    FValue = AValue;
    FValueReference.clear();
    Announce();
  }
}

void TdxSkinColorValue::SetValueReference(const rtl::String& AValue)
{
  if (AValue == FValueReference)
    return;
  if (!AValue.empty()) {
    FValueReference = AValue;
    FValue = dxSkinUnresolvedColor;
  } else {
    GetValue();
    FValueReference.clear();
  }
  Announce();
}

void TdxSkinColorValue::Announce()
{
  if (FOwner)
    FOwner->Changed({TdxSkinChange::scContent});
}

// ---------------------------------------------------------------------------
// TdxSkinProperty

rtl::String TdxSkinProperty::Description(rtl::TClass AClass)
{
  rtl::String result = AClass->ClassName();
  EraseIgnoringCase(result, L"TdxSkin");
  EraseIgnoringCase(result, L"Property");
  return result;
}

bool TdxSkinProperty::Compare(TdxSkinProperty* AProperty)
{
  return AProperty && rtl::SameText(GetName(), AProperty->GetName());
}

void TdxSkinProperty::Register(TdxSkinPropertyClass AClass)
{
  if (!SkinsPropertyClasses)
    SkinsPropertyClasses = new std::vector<rtl::TClass>();
  if (std::find(SkinsPropertyClasses->begin(), SkinsPropertyClasses->end(), AClass.ClassType()) ==
      SkinsPropertyClasses->end())
    SkinsPropertyClasses->push_back(AClass);
  rtl::RegisterClass(rtl::TPersistentClass(AClass.ClassType()));
}

void TdxSkinProperty::Unregister(TdxSkinPropertyClass AClass)
{
  rtl::UnRegisterClass(rtl::TPersistentClass(AClass.ClassType()));
  if (!SkinsPropertyClasses)
    return;
  std::erase(*SkinsPropertyClasses, AClass.ClassType());
  if (SkinsPropertyClasses->empty()) {
    delete SkinsPropertyClasses;
    SkinsPropertyClasses = nullptr;
  }
}

bool TdxSkinProperty::IsRegistered(rtl::TClass AClass)
{
  // The registered property classes, and the colour palette and alpha
  // colour the class registry holds for packages.
  if (!AClass || rtl::GetClass(AClass->ClassName()).ClassType() != AClass)
    return false;
  if (AClass == TdxSkinColorPalette::StaticClass() || AClass == TdxSkinAlphaColor::StaticClass())
    return true;
  return SkinsPropertyClasses &&
         std::find(SkinsPropertyClasses->begin(), SkinsPropertyClasses->end(), AClass) != SkinsPropertyClasses->end();
}

// ---------------------------------------------------------------------------
// Value properties

bool TdxSkinIntegerProperty::Compare(TdxSkinProperty* AProperty)
{
  return inherited::Compare(AProperty) && rtl::Is<TdxSkinIntegerProperty>(AProperty) &&
         static_cast<TdxSkinIntegerProperty*>(AProperty)->FValue == FValue;
}

void TdxSkinIntegerProperty::SetValue(int AValue)
{
  if (AValue != FValue) {
    FValue = AValue;
    Changed({TdxSkinChange::scContent});
  }
}

void TdxSkinIntegerProperty::DoAssign(rtl::TPersistent* ASource)
{
  if (auto* source = SameClassOrNil<TdxSkinIntegerProperty>(ASource))
    SetValue(source->FValue);
  else
    inherited::DoAssign(ASource);
}

bool TdxSkinBooleanProperty::Compare(TdxSkinProperty* AProperty)
{
  return inherited::Compare(AProperty) && rtl::Is<TdxSkinBooleanProperty>(AProperty) &&
         static_cast<TdxSkinBooleanProperty*>(AProperty)->FValue == FValue;
}

void TdxSkinBooleanProperty::SetValue(bool AValue)
{
  if (AValue != FValue) {
    FValue = AValue;
    Changed({TdxSkinChange::scContent});
  }
}

void TdxSkinBooleanProperty::DoAssign(rtl::TPersistent* ASource)
{
  if (auto* source = SameClassOrNil<TdxSkinBooleanProperty>(ASource))
    SetValue(source->FValue);
  else
    inherited::DoAssign(ASource);
}

void TdxSkinColor::Create(rtl::TPersistent* AOwner, const rtl::String& AName)
{
  inherited::Create(AOwner, AName);
  FValue.Create(this, vcl::clDefault);
}

bool TdxSkinColor::Compare(TdxSkinProperty* AProperty)
{
  return inherited::Compare(AProperty) && rtl::Is<TdxSkinColor>(AProperty) &&
         static_cast<TdxSkinColor*>(AProperty)->FValue.Equals(FValue);
}

void TdxSkinColor::FlushCache()
{
  FValue.FlushCache();
}

TdxAlphaColor TdxSkinColor::ValueAsAlphaColor()
{
  return dxColorToAlphaColor(GetValue(), 255);
}

void TdxSkinColor::DoAssign(rtl::TPersistent* ASource)
{
  if (auto* source = SameClassOrNil<TdxSkinColor>(ASource))
    FValue.Assign(source->FValue);
  else
    inherited::DoAssign(ASource);
}

void TdxSkinAlphaColor::Create(rtl::TPersistent* AOwner, const rtl::String& AName)
{
  inherited::Create(AOwner, AName);
  FValueAlpha = 255;
}

bool TdxSkinAlphaColor::Compare(TdxSkinProperty* AProperty)
{
  return inherited::Compare(AProperty) && rtl::Is<TdxSkinAlphaColor>(AProperty) &&
         static_cast<TdxSkinAlphaColor*>(AProperty)->FValueAlpha == FValueAlpha;
}

TdxAlphaColor TdxSkinAlphaColor::ValueAsAlphaColor()
{
  return dxColorToAlphaColor(GetValue(), FValueAlpha);
}

void TdxSkinAlphaColor::SetValueAlpha(std::uint8_t AValue)
{
  if (AValue != FValueAlpha) {
    FValueAlpha = AValue;
    Changed({TdxSkinChange::scContent});
  }
}

void TdxSkinAlphaColor::DoAssign(rtl::TPersistent* ASource)
{
  inherited::DoAssign(ASource);
  if (auto* source = SameClassOrNil<TdxSkinAlphaColor>(ASource))
    SetValueAlpha(source->FValueAlpha);
}

void TdxSkinRectProperty::Create(rtl::TPersistent* AOwner, const rtl::String& AName)
{
  inherited::Create(AOwner, AName);
  FValue = rtl::New<TcxRect>(static_cast<rtl::TPersistent*>(this));
  FValue->SetOnChange(rtl::TNotifyEvent::Bind<&TdxSkinRectProperty::ValueChanged>(this));
}

void TdxSkinRectProperty::Destroy()
{
  rtl::FreeAndNil(FValue);
  inherited::Destroy();
}

bool TdxSkinRectProperty::Compare(TdxSkinProperty* AProperty)
{
  return inherited::Compare(AProperty) && rtl::Is<TdxSkinRectProperty>(AProperty) &&
         FValue->IsEqual(static_cast<TdxSkinRectProperty*>(AProperty)->FValue);
}

void TdxSkinRectProperty::SetValue(TcxRect* AValue)
{
  FValue->Assign(AValue);
}

const TRect& TdxSkinRectProperty::GetRect() const
{
  return FValue->GetRect();
}

void TdxSkinRectProperty::DoAssign(rtl::TPersistent* ASource)
{
  if (auto* source = SameClassOrNil<TdxSkinRectProperty>(ASource))
    SetValue(source->FValue);
  else
    inherited::DoAssign(ASource);
}

void TdxSkinRectProperty::ValueChanged(rtl::TObject*)
{
  Changed({TdxSkinChange::scContent});
}

bool TdxSkinSizeProperty::Compare(TdxSkinProperty* AProperty)
{
  if (!inherited::Compare(AProperty) || !rtl::Is<TdxSkinSizeProperty>(AProperty))
    return false;
  const TSize& other = static_cast<TdxSkinSizeProperty*>(AProperty)->FValue;
  return other.cx == FValue.cx && other.cy == FValue.cy;
}

void TdxSkinSizeProperty::SetValue(const TSize& AValue)
{
  if (AValue.cx != FValue.cx || AValue.cy != FValue.cy) {
    FValue = AValue;
    Changed({TdxSkinChange::scContent});
  }
}

void TdxSkinSizeProperty::SetValueByIndex(int AIndex, int AValue)
{
  TSize size = FValue;
  (AIndex == 0 ? size.cx : size.cy) = AValue;
  SetValue(size);
}

void TdxSkinSizeProperty::DoAssign(rtl::TPersistent* ASource)
{
  if (auto* source = SameClassOrNil<TdxSkinSizeProperty>(ASource))
    SetValue(source->FValue);
  else
    inherited::DoAssign(ASource);
}

bool TdxSkinStringProperty::Compare(TdxSkinProperty* AProperty)
{
  return inherited::Compare(AProperty) && rtl::Is<TdxSkinStringProperty>(AProperty) &&
         static_cast<TdxSkinStringProperty*>(AProperty)->FValue == FValue;
}

void TdxSkinStringProperty::SetValue(const rtl::String& AValue)
{
  if (AValue != FValue) {
    FValue = AValue;
    Changed({TdxSkinChange::scContent});
  }
}

void TdxSkinStringProperty::DoAssign(rtl::TPersistent* ASource)
{
  if (auto* source = SameClassOrNil<TdxSkinStringProperty>(ASource))
    SetValue(source->FValue);
  else
    inherited::DoAssign(ASource);
}

// ---------------------------------------------------------------------------
// Borders

void TdxSkinBorder::Create(rtl::TPersistent* AOwner, const rtl::String& AName)
{
  inherited::Create(AOwner, AName);
  FColor.Create(this, vcl::clNone);
  FThin = 1;
}

void TdxSkinBorder::Create(rtl::TPersistent* AOwner, TcxBorder AKind)
{
  Create(AOwner, rtl::GetEnumName(AKind).substr(1));
  FKind = AKind;
}

bool TdxSkinBorder::Compare(TdxSkinProperty* AProperty)
{
  if (!rtl::Is<TdxSkinBorder>(AProperty))
    return false;
  auto* other = static_cast<TdxSkinBorder*>(AProperty);
  return other->FKind == FKind && other->FThin == FThin && other->FColor.Equals(FColor);
}

void TdxSkinBorder::FlushCache()
{
  FColor.FlushCache();
}

void TdxSkinBorder::ResetToDefaults()
{
  BeginUpdate();
  FColor.ResetToDefaults();
  SetThin(1);
  EndUpdate();
}

void TdxSkinBorder::SetThin(int AValue)
{
  if (AValue != FThin) {
    FThin = AValue;
    Changed({TdxSkinChange::scContent});
  }
}

int TdxSkinBorder::GetContentMargin()
{
  return GetColor() == vcl::clNone ? 0 : FThin;
}

TRect TdxSkinBorder::StripOf(const TRect& ABounds) const
{
  switch (FKind) {
    case TcxBorder::bLeft:
      return {ABounds.left, ABounds.top, ABounds.left + FThin, ABounds.bottom};
    case TcxBorder::bTop:
      return {ABounds.left, ABounds.top, ABounds.right, ABounds.top + FThin};
    case TcxBorder::bRight:
      return {ABounds.right - FThin, ABounds.top, ABounds.right, ABounds.bottom};
    default:
      return {ABounds.left, ABounds.bottom - FThin, ABounds.right, ABounds.bottom};
  }
}

void TdxSkinBorder::DoAssign(rtl::TPersistent* ASource)
{
  if (auto* source = SameClassOrNil<TdxSkinBorder>(ASource)) {
    FColor.Assign(source->FColor);
    SetThin(source->FThin);
  } else {
    inherited::DoAssign(ASource);
  }
}

void TdxSkinBorders::Create(rtl::TPersistent* AOwner, const rtl::String& AName)
{
  inherited::Create(AOwner, AName);
  for (const TcxBorder side : {TcxBorder::bLeft, TcxBorder::bTop, TcxBorder::bRight, TcxBorder::bBottom}) {
    FBorders[side] = rtl::NewWith<TdxSkinBorder>([&](TdxSkinBorder* ABorder) {
      ABorder->Create(static_cast<rtl::TPersistent*>(this), side);
    });
    FBorders[side]->SetOnChange(TdxSkinChangeNotify::Bind<&TdxSkinBorders::BorderChanged>(this));
  }
}

void TdxSkinBorders::Destroy()
{
  for (TdxSkinBorder*& border : FBorders)
    rtl::FreeAndNil(border);
  inherited::Destroy();
}

bool TdxSkinBorders::Compare(TdxSkinProperty* AProperty)
{
  if (!rtl::Is<TdxSkinBorders>(AProperty))
    return false;
  auto* other = static_cast<TdxSkinBorders*>(AProperty);
  for (std::size_t i = 0; i < FBorders.size(); ++i)
    if (!FBorders[i]->Compare(other->FBorders[i]))
      return false;
  return true;
}

void TdxSkinBorders::FlushCache()
{
  for (TdxSkinBorder* border : FBorders)
    border->FlushCache();
}

void TdxSkinBorders::ResetToDefaults()
{
  BeginUpdate();
  for (TdxSkinBorder* border : FBorders)
    border->ResetToDefaults();
  EndUpdate();
}

TRect TdxSkinBorders::GetContentMargins() const
{
  return {FBorders[0]->GetContentMargin(), FBorders[1]->GetContentMargin(), FBorders[2]->GetContentMargin(),
          FBorders[3]->GetContentMargin()};
}

void TdxSkinBorders::DoAssign(rtl::TPersistent* ASource)
{
  if (auto* source = SameClassOrNil<TdxSkinBorders>(ASource)) {
    for (std::size_t i = 0; i < FBorders.size(); ++i)
      FBorders[i]->Assign(source->FBorders[i]);
  } else {
    inherited::DoAssign(ASource);
  }
}

void TdxSkinBorders::BorderChanged(rtl::TObject*, TdxSkinChanges AChanges)
{
  Changed(AChanges);
}

// ---------------------------------------------------------------------------
// TdxSkinAlternateImageAttributes

void TdxSkinAlternateImageAttributes::Create(rtl::TPersistent* AOwner, const rtl::String& AName)
{
  inherited::Create(AOwner, AName);
  FAlpha = 255;
  const TdxSkinChangeNotify handler = TdxSkinChangeNotify::Bind<&TdxSkinAlternateImageAttributes::PartChanged>(this);
  FBorders = rtl::New<TdxSkinBorders>(static_cast<rtl::TPersistent*>(this), rtl::String(L"Borders"));
  FBorders->SetOnChange(handler);
  FBordersInner = rtl::New<TdxSkinBorders>(static_cast<rtl::TPersistent*>(this), rtl::String(L"BordersInner"));
  FBordersInner->SetOnChange(handler);
  FContentOffsets = rtl::New<TcxRect>(static_cast<rtl::TPersistent*>(this));
  FContentOffsets->SetOnChange(rtl::TNotifyEvent::Bind<&TdxSkinAlternateImageAttributes::OffsetsChanged>(this));
  FGradientBeginColor.Create(this, vcl::clNone);
  FGradientEndColor.Create(this, vcl::clNone);
}

void TdxSkinAlternateImageAttributes::Destroy()
{
  rtl::FreeAndNil(FContentOffsets);
  rtl::FreeAndNil(FBordersInner);
  rtl::FreeAndNil(FBorders);
  inherited::Destroy();
}

bool TdxSkinAlternateImageAttributes::Compare(TdxSkinProperty* AProperty)
{
  if (!inherited::Compare(AProperty) || !rtl::Is<TdxSkinAlternateImageAttributes>(AProperty))
    return false;
  auto* other = static_cast<TdxSkinAlternateImageAttributes*>(AProperty);
  return other->FAlpha == FAlpha && other->FGradient == FGradient &&
         other->FGradientBeginColor.Equals(FGradientBeginColor) && other->FGradientEndColor.Equals(FGradientEndColor) &&
         FBorders->Compare(other->FBorders) && FBordersInner->Compare(other->FBordersInner) &&
         FContentOffsets->IsEqual(other->FContentOffsets);
}

void TdxSkinAlternateImageAttributes::FlushCache()
{
  FGradientBeginColor.FlushCache();
  FGradientEndColor.FlushCache();
  FBorders->FlushCache();
  FBordersInner->FlushCache();
}

bool TdxSkinAlternateImageAttributes::IsAlphaUsed() const
{
  const TRect& offsets = FContentOffsets->GetRect();
  return FAlpha != 255 || offsets.left != 0 || offsets.top != 0 || offsets.right != 0 || offsets.bottom != 0;
}

void TdxSkinAlternateImageAttributes::SetAlpha(std::uint8_t AValue)
{
  if (AValue != FAlpha) {
    FAlpha = AValue;
    Changed({TdxSkinChange::scContent});
  }
}

void TdxSkinAlternateImageAttributes::SetGradient(TdxSkinGradientMode AValue)
{
  if (AValue != FGradient) {
    FGradient = AValue;
    Changed({TdxSkinChange::scContent});
  }
}

void TdxSkinAlternateImageAttributes::DoAssign(rtl::TPersistent* ASource)
{
  auto* source = SameClassOrNil<TdxSkinAlternateImageAttributes>(ASource);
  if (!source) {
    inherited::DoAssign(ASource);
    return;
  }
  SetAlpha(source->FAlpha);
  SetGradient(source->FGradient);
  FGradientBeginColor.Assign(source->FGradientBeginColor);
  FGradientEndColor.Assign(source->FGradientEndColor);
  FBorders->Assign(source->FBorders);
  FBordersInner->Assign(source->FBordersInner);
  FContentOffsets->Assign(source->FContentOffsets);
}

void TdxSkinAlternateImageAttributes::PartChanged(rtl::TObject*, TdxSkinChanges AChanges)
{
  Changed(AChanges);
}

void TdxSkinAlternateImageAttributes::OffsetsChanged(rtl::TObject*)
{
  Changed({TdxSkinChange::scContent});
}

// ---------------------------------------------------------------------------
// List properties and palettes

void TdxSkinCustomListProperty::Create(rtl::TPersistent* AOwner, const rtl::String& AName)
{
  inherited::Create(AOwner, AName);
  FProperties = CreateProperties();
}

void TdxSkinCustomListProperty::BeforeDestruction()
{
  inherited::BeforeDestruction();
  if (FProperties)
    FProperties->Clear();
}

void TdxSkinCustomListProperty::Destroy()
{
  rtl::FreeAndNil(FProperties);
  inherited::Destroy();
}

TdxSkinProperties* TdxSkinCustomListProperty::CreateProperties()
{
  return rtl::NewWith<TdxSkinProperties>([&](TdxSkinProperties* AList) {
    AList->CreateEx(this, TdxSkinChangeNotify::Bind<&TdxSkinCustomListProperty::ItemsChanged>(this));
  });
}

bool TdxSkinCustomListProperty::Compare(TdxSkinProperty* AProperty)
{
  return inherited::Compare(AProperty) && rtl::Is<TdxSkinCustomListProperty>(AProperty) &&
         FProperties->Compare(static_cast<TdxSkinCustomListProperty*>(AProperty)->FProperties);
}

void TdxSkinCustomListProperty::FlushCache()
{
  FProperties->FlushCache();
}

void TdxSkinCustomListProperty::Clear()
{
  FProperties->Clear();
}

bool TdxSkinCustomListProperty::Find(const rtl::String& AName, TdxSkinProperty*& AProperty)
{
  TdxSkinCustomObject* object = nullptr;
  if (!FProperties->Find(AName, object))
    return false;
  AProperty = static_cast<TdxSkinProperty*>(object);
  return true;
}

void TdxSkinCustomListProperty::Delete(TdxSkinProperty* AProperty)
{
  BeginUpdate();
  FProperties->FreeAndRemove(AProperty);
  EndUpdate();
}

void TdxSkinCustomListProperty::Delete(int AIndex)
{
  BeginUpdate();
  FProperties->FreeAndDelete(AIndex);
  EndUpdate();
}

void TdxSkinCustomListProperty::Delete(const rtl::String& AName)
{
  TdxSkinProperty* property = nullptr;
  if (Find(AName, property))
    Delete(property);
}

void TdxSkinCustomListProperty::DoAssign(rtl::TPersistent* ASource)
{
  if (auto* source = SameClassOrNil<TdxSkinCustomListProperty>(ASource))
    FProperties->Assign(source->FProperties);
  else
    inherited::DoAssign(ASource);
}

void TdxSkinCustomListProperty::ItemsChanged(rtl::TObject*, TdxSkinChanges AChanges)
{
  Changed(AChanges);
}

void TdxSkinColorPalette::Create(rtl::TPersistent* AOwner, const rtl::String& AName)
{
  inherited::Create(AOwner, AName);
  FDefaultColorClass = rtl::Is<TdxSkinColorPalettes>(AOwner)
                           ? static_cast<TdxSkinColorPalettes*>(AOwner)->GetDefaultColorClass()
                           : TdxSkinColorClass::Of<TdxSkinColor>();
}

void TdxSkinColorPalette::FlushCache()
{
  inherited::FlushCache();
  FID = GUID{};
}

TdxSkinColor* TdxSkinColorPalette::Add(const rtl::String& AName, vcl::TColor AValue)
{
  TdxSkinColor* result = nullptr;
  BeginUpdate();
  try {
    result = static_cast<TdxSkinColor*>(FProperties->Add(AName, FDefaultColorClass));
    result->SetValue(AValue);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  return result;
}

TdxSkinColor* TdxSkinColorPalette::Add(const rtl::String& AName, const rtl::String& AValueReference)
{
  TdxSkinColor* result = Add(AName, vcl::clDefault);
  result->SetValueReference(AValueReference);
  return result;
}

TdxSkinColor* TdxSkinColorPalette::GetItem(int AIndex) const
{
  return rtl::As<TdxSkinColor>(FProperties->GetItem(AIndex));
}

GUID __stdcall TdxSkinColorPalette::GetID()
{
  if (FID == GUID{}) {
    if (FAILED(CoCreateGuid(&FID)))
      FID = GUID{};
    // Zero means "not made yet": a made identifier is never all zero.
    if (FID.Data1 == 0)
      FID.Data1 = 0xFFFF;
  }
  return FID;
}

TdxAlphaColor __stdcall TdxSkinColorPalette::GetFillColor(const rtl::String& ID)
{
  TdxSkinProperty* property = nullptr;
  if (Find(ID, property) && rtl::Is<TdxSkinColor>(property))
    return static_cast<TdxSkinColor*>(property)->ValueAsAlphaColor();
  return SkinsDefaultAlphaColorMarker;
}

TdxAlphaColor __stdcall TdxSkinColorPalette::GetStrokeColor(const rtl::String& ID)
{
  return GetFillColor(ID);
}

void TdxSkinColorPalette::DoChanged(TdxSkinChanges AChanges)
{
  inherited::DoChanged(AChanges);
  FlushCache();
}

void TdxSkinGeneralColorPalette::DoAssign(rtl::TPersistent* ASource)
{
  inherited::DoAssign(ASource);
  if (rtl::Is<TdxSkinColorPalette>(ASource))
    SetName(static_cast<TdxSkinColorPalette*>(ASource)->GetName());
}

void TdxSkinColorPalettes::Create(rtl::TPersistent* AOwner, const rtl::String& AName)
{
  FDefaultColorClass = TdxSkinColorClass::Of<TdxSkinColor>();
  inherited::Create(AOwner, AName);
}

TdxSkinColorPalette* TdxSkinColorPalettes::Add(const rtl::String& AName)
{
  return static_cast<TdxSkinColorPalette*>(
      FProperties->Add(AName, TdxSkinPropertyClass::Of<TdxSkinColorPalette>()));
}

TdxSkinColorPalette* TdxSkinColorPalettes::GetItem(int AIndex) const
{
  return rtl::As<TdxSkinColorPalette>(FProperties->GetItem(AIndex));
}

// ---------------------------------------------------------------------------
// Palettes of the skin

void TdxSkin::ApplyColorPalette(const rtl::String& AName)
{
  TdxSkinProperty* found = nullptr;
  if (!FColorPalettes->Find(AName, found) || !rtl::Is<TdxSkinColorPalette>(found)) {
    found = nullptr;
    if (!FColorPalettes->Find(L"Default", found) || !rtl::Is<TdxSkinColorPalette>(found)) {
      found = nullptr;
      for (int i = 0; i < FColorPalettes->GetCount() && !found; ++i)
        if (rtl::Is<TdxSkinColorPalette>(FColorPalettes->TdxSkinCustomListProperty::GetItem(i)))
          found = FColorPalettes->TdxSkinCustomListProperty::GetItem(i);
    }
  }
  BeginUpdate();
  try {
    if (found) {
      FColorPalette->Assign(found);
    } else {
      FColorPalette->Clear();
      FColorPalette->SetName(L"Default");
    }
    Changed({TdxSkinChange::scContent});
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

rtl::String TdxSkin::GetActiveColorPaletteName() const
{
  return FColorPalette->GetName();
}

void TdxSkin::SetActiveColorPaletteName(const rtl::String& AValue)
{
  if (AValue != GetActiveColorPaletteName())
    ApplyColorPalette(AValue);
}

rtl::IPtr<IdxColorPalette> TdxSkin::GetDefaultGlyphColorPalette(TdxSkinElementState AState)
{
  TdxSkinProperty* property = GetPropertyByName(L"DefaultGlyphColorPalettes");
  if (rtl::Is<TdxSkinColorPalettes>(property)) {
    auto* palettes = static_cast<TdxSkinColorPalettes*>(property);
    TdxSkinProperty* palette = nullptr;
    if ((palettes->Find(dxSkinElementStateName(AState), palette) ||
         (AState != TdxSkinElementState::esNormal && palettes->Find(L"Normal", palette))) &&
        rtl::Is<TdxSkinColorPalette>(palette))
      return rtl::IPtr<IdxColorPalette>(static_cast<TdxSkinColorPalette*>(palette));
  }
  return rtl::IPtr<IdxColorPalette>(static_cast<IdxColorPalette*>(this));
}

bool __stdcall TdxSkin::GetPaletteColor(const rtl::String& AName, vcl::TColor& AColor)
{
  TdxSkinProperty* property = nullptr;
  // An item of another class in a damaged palette names no colour.
  if (!FColorPalette->Find(AName, property) || !rtl::Is<TdxSkinColor>(property))
    return false;
  AColor = static_cast<TdxSkinColor*>(property)->GetValue();
  return true;
}

GUID __stdcall TdxSkin::GetID()
{
  return FColorPalette->GetID();
}

TdxAlphaColor __stdcall TdxSkin::GetFillColor(const rtl::String& ID)
{
  return FColorPalette->GetFillColor(ID);
}

TdxAlphaColor __stdcall TdxSkin::GetStrokeColor(const rtl::String& ID)
{
  return FColorPalette->GetStrokeColor(ID);
}
