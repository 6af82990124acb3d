// The skin package format: the stream routines, each class's part of a
// package, the package reader and writer and the skin container (part of the
// unit dxSkinsCore).
//
// A package comes from a resource, a file or any stream, and a damaged one
// must not crash the program or make it allocate what is not there: every
// length and count is checked against the bytes left before anything is made
// for it, and nesting is limited.
#include <cstring>
#include <string>

#include "core/cxGeometry.h"
#include "graphics/dxGDIPlusAPI.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "platform/rtl/ClassesComponents.h"
#include "platform/rtl/ClassesStreams.h"
#include "skins/dxSkinsCore.h"

namespace {

constexpr char SkinsSignature[6] = {'d', 'x', 'S', 'k', 'i', 'n'};
constexpr int SkinsHeaderSize = 18;
// No package nests property lists this deep (palettes in palette lists are
// two levels); a damaged one that does is refused before the recursion
// that reads it runs out of stack.
constexpr int SkinsMaxNesting = 16;
// More frames than any texture has pixels along an axis.
constexpr int SkinsMaxImageCount = 0x10000;
// Thresholds are compared with this margin, so a version stored as the
// Double nearest a threshold counts as that version.
constexpr double SkinsVersionEpsilon = 1e-6;

int SkinsReadDepth = 0;

class TdxSkinReadNesting {
 public:
  TdxSkinReadNesting()
  {
    if (++SkinsReadDepth > SkinsMaxNesting) {
      --SkinsReadDepth;
      throw EdxSkinError(L"Invalid stream format");
    }
  }
  ~TdxSkinReadNesting() { --SkinsReadDepth; }
  TdxSkinReadNesting(const TdxSkinReadNesting&) = delete;
  TdxSkinReadNesting& operator=(const TdxSkinReadNesting&) = delete;
};

[[noreturn]] void RaiseInvalidSkinStream()
{
  throw EdxSkinError(L"Invalid stream format");
}

std::int64_t SkinStreamRemaining(rtl::TStream* AStream)
{
  const std::int64_t remaining = AStream->GetSize() - AStream->GetPosition();
  return remaining > 0 ? remaining : 0;
}

std::uint8_t ReadSkinByte(rtl::TStream* AStream)
{
  std::uint8_t value = 0;
  AStream->ReadBuffer(&value, 1);
  return value;
}

void WriteSkinByte(rtl::TStream* AStream, std::uint8_t AValue)
{
  AStream->WriteBuffer(&AValue, 1);
}

// An enumerated byte; a value the type does not have is a damaged package.
template <class E>
E ReadSkinEnum(rtl::TStream* AStream, int ACount = rtl::EnumCount<E>())
{
  const std::uint8_t value = ReadSkinByte(AStream);
  if (value >= ACount)
    RaiseInvalidSkinStream();
  return static_cast<E>(value);
}

// The image's bytes as a package stores them.
void SaveSkinImageData(rtl::TStream* AStream, TdxSmartImage* AImage)
{
  if (AImage->GetEmpty())
    return;
  const TdxImageDataFormat format = AImage->GetImageDataFormat();
  if (AImage->HandleAllocated() && !rtl::Supports<IdxVectorImage>(AImage) && format != dxImagePng &&
      format != dxImageGif)
    AImage->SaveToStreamByCodec(AStream, dxImagePng);
  else
    AImage->SaveToStream(AStream);
}

}  // namespace

// ---------------------------------------------------------------------------
// Stream routines

bool dxSkinVersionAtLeast(double AVersion, double AThreshold)
{
  return AVersion >= AThreshold - SkinsVersionEpsilon;
}

bool dxSkinCheckSignature(rtl::TStream* AStream, double& AVersion)
{
  std::uint8_t header[SkinsHeaderSize];
  if (AStream->Read(header, SkinsHeaderSize) < SkinsHeaderSize)
    return false;
  if (std::memcmp(header + 4, SkinsSignature, sizeof(SkinsSignature)) != 0)
    return false;
  double version = 0;
  std::memcpy(&version, header + 10, sizeof(version));
  // Written so that a NaN is rejected too.
  if (!(version >= 1.0))
    return false;
  AVersion = version;
  return true;
}

void dxSkinWriteSignature(rtl::TStream* AStream)
{
  std::uint8_t header[SkinsHeaderSize] = {};
  std::memcpy(header + 4, SkinsSignature, sizeof(SkinsSignature));
  const double version = dxSkinStreamVersion;
  std::memcpy(header + 10, &version, sizeof(version));
  AStream->WriteBuffer(header, SkinsHeaderSize);
}

std::int32_t dxSkinReadInt32(rtl::TStream* AStream)
{
  std::int32_t value = 0;
  AStream->ReadBuffer(&value, sizeof(value));
  return value;
}

void dxSkinWriteInt32(rtl::TStream* AStream, std::int32_t AValue)
{
  AStream->WriteBuffer(&AValue, sizeof(AValue));
}

int dxSkinReadCount(rtl::TStream* AStream, int AMinItemSize)
{
  const std::int32_t count = dxSkinReadInt32(AStream);
  if (count <= 0)
    return 0;
  if (count > SkinStreamRemaining(AStream) / AMinItemSize)
    RaiseInvalidSkinStream();
  return count;
}

rtl::String dxSkinReadString(rtl::TStream* AStream)
{
  const std::int32_t length = dxSkinReadInt32(AStream);
  if (length <= 0)
    return {};
  if (length > SkinStreamRemaining(AStream))
    RaiseInvalidSkinStream();
  std::string bytes(static_cast<std::size_t>(length), '\0');
  AStream->ReadBuffer(bytes.data(), length);
  return dxDecodeCodePageString(bytes, CP_UTF8);
}

void dxSkinWriteString(rtl::TStream* AStream, const rtl::String& AValue)
{
  const rtl::AnsiString bytes = dxEncodeCodePageString(AValue, CP_UTF8);
  dxSkinWriteInt32(AStream, static_cast<std::int32_t>(bytes.Size()));
  if (!bytes.IsEmpty())
    AStream->WriteBuffer(bytes.Data(), static_cast<int>(bytes.Size()));
}

rtl::String dxSkinReadWideString(rtl::TStream* AStream)
{
  const std::int32_t length = dxSkinReadInt32(AStream);
  if (length <= 0)
    return {};
  if (length > SkinStreamRemaining(AStream) / 2)
    RaiseInvalidSkinStream();
  rtl::String result(static_cast<std::size_t>(length), L'\0');
  AStream->ReadBuffer(result.data(), length * 2);
  return result;
}

void dxSkinWriteWideString(rtl::TStream* AStream, const rtl::String& AValue)
{
  dxSkinWriteInt32(AStream, static_cast<std::int32_t>(AValue.size()));
  if (!AValue.empty())
    AStream->WriteBuffer(AValue.data(), static_cast<int>(AValue.size() * 2));
}

void dxSkinReadImage(rtl::TStream* AStream, TdxSmartImage* AImage)
{
  const std::int32_t size = dxSkinReadInt32(AStream);
  if (size <= 0)
    return;
  if (size > SkinStreamRemaining(AStream))
    RaiseInvalidSkinStream();
  const std::int64_t start = AStream->GetPosition();
  // Whatever the decoder reads, the next field starts right after the blob.
  try {
    rtl::TOwnedPtr<TdxSkinPartStream> part(rtl::New<TdxSkinPartStream>(AStream, start, std::int64_t(size)));
    AImage->LoadFromStream(part.get());
  } catch (...) {
    AStream->SetPosition(start + size);
    throw;
  }
  AStream->SetPosition(start + size);
}

void dxSkinWriteImage(rtl::TStream* AStream, TdxSmartImage* AImage)
{
  rtl::TOwnedPtr<rtl::TMemoryStream> buffer(rtl::New<rtl::TMemoryStream>());
  SaveSkinImageData(buffer.get(), AImage);
  const int size = static_cast<int>(buffer->GetSize());
  dxSkinWriteInt32(AStream, size);
  if (size != 0)
    AStream->WriteBuffer(buffer->Memory(), size);
}

// ---------------------------------------------------------------------------
// TdxSkinPartStream

void TdxSkinPartStream::Create(rtl::TStream* ASource, std::int64_t APosStart, std::int64_t ASize)
{
  FSource = ASource;
  FPosStart = APosStart;
  FPosEnd = APosStart + ASize;
}

int TdxSkinPartStream::Read(void* ABuffer, int ACount)
{
  // A window: a decoder that reads on finds the end of its blob, not the
  // fields that follow it.
  const std::int64_t left = FPosEnd - FSource->GetPosition();
  if (left <= 0 || ACount <= 0)
    return 0;
  return FSource->Read(ABuffer, static_cast<int>(std::min<std::int64_t>(ACount, left)));
}

int TdxSkinPartStream::Write(const void* ABuffer, int ACount)
{
  const int result = FSource->Write(ABuffer, ACount);
  FPosEnd = FSource->GetPosition();
  return result;
}

std::int64_t TdxSkinPartStream::Seek(std::int64_t AOffset, rtl::TSeekOrigin AOrigin)
{
  std::int64_t target = 0;
  switch (AOrigin) {
    case rtl::soBeginning:
      target = FPosStart + AOffset;
      break;
    case rtl::soEnd:
      target = FPosEnd + AOffset;
      break;
    default:
      target = FSource->GetPosition() + AOffset;
      break;
  }
  target = std::clamp(target, FPosStart, FPosEnd);
  FSource->SetPosition(target);
  return FSource->GetPosition() - FPosStart;
}

// ---------------------------------------------------------------------------
// Colour values and properties

void TdxSkinColorValue::ReadData(rtl::TStream* AStream, double AVersion)
{
  FValue = static_cast<vcl::TColor>(dxSkinReadInt32(AStream));
  FValueReference = dxSkinVersionAtLeast(AVersion, 1.15) ? dxSkinReadString(AStream) : rtl::String();
}

void TdxSkinColorValue::WriteData(rtl::TStream* AStream) const
{
  dxSkinWriteInt32(AStream, static_cast<std::int32_t>(FValue));
  dxSkinWriteString(AStream, FValueReference);
}

void TdxSkinIntegerProperty::ReadData(rtl::TStream* AStream, double)
{
  FValue = dxSkinReadInt32(AStream);
}

void TdxSkinIntegerProperty::WriteData(rtl::TStream* AStream)
{
  dxSkinWriteInt32(AStream, FValue);
}

void TdxSkinBooleanProperty::ReadData(rtl::TStream* AStream, double)
{
  FValue = ReadSkinByte(AStream) != 0;
}

void TdxSkinBooleanProperty::WriteData(rtl::TStream* AStream)
{
  WriteSkinByte(AStream, FValue ? 1 : 0);
}

void TdxSkinColor::ReadData(rtl::TStream* AStream, double AVersion)
{
  FValue.ReadData(AStream, AVersion);
}

void TdxSkinColor::WriteData(rtl::TStream* AStream)
{
  FValue.WriteData(AStream);
}

void TdxSkinAlphaColor::ReadData(rtl::TStream* AStream, double AVersion)
{
  inherited::ReadData(AStream, AVersion);
  FValueAlpha = static_cast<std::uint8_t>(dxSkinReadInt32(AStream));
}

void TdxSkinAlphaColor::WriteData(rtl::TStream* AStream)
{
  inherited::WriteData(AStream);
  dxSkinWriteInt32(AStream, FValueAlpha);
}

void TdxSkinRectProperty::ReadData(rtl::TStream* AStream, double)
{
  FValue->LoadFromStream(AStream);
}

void TdxSkinRectProperty::WriteData(rtl::TStream* AStream)
{
  FValue->SaveToStream(AStream);
}

void TdxSkinSizeProperty::ReadData(rtl::TStream* AStream, double)
{
  FValue.cx = dxSkinReadInt32(AStream);
  FValue.cy = dxSkinReadInt32(AStream);
}

void TdxSkinSizeProperty::WriteData(rtl::TStream* AStream)
{
  dxSkinWriteInt32(AStream, FValue.cx);
  dxSkinWriteInt32(AStream, FValue.cy);
}

void TdxSkinStringProperty::ReadData(rtl::TStream* AStream, double)
{
  FValue = dxSkinReadString(AStream);
}

void TdxSkinStringProperty::WriteData(rtl::TStream* AStream)
{
  dxSkinWriteString(AStream, FValue);
}

void TdxSkinWideStringProperty::ReadData(rtl::TStream* AStream, double)
{
  FValue = dxSkinReadWideString(AStream);
}

void TdxSkinWideStringProperty::WriteData(rtl::TStream* AStream)
{
  dxSkinWriteWideString(AStream, FValue);
}

void TdxSkinBorder::ReadData(rtl::TStream* AStream, double AVersion)
{
  // Packages up to 1.09 name each border's class and side; both are dropped.
  if (AVersion <= 1.09 + SkinsVersionEpsilon) {
    dxSkinReadString(AStream);
    dxSkinReadString(AStream);
  }
  FColor.ReadData(AStream, AVersion);
  FThin = dxSkinReadInt32(AStream);
}

void TdxSkinBorder::WriteData(rtl::TStream* AStream)
{
  FColor.WriteData(AStream);
  dxSkinWriteInt32(AStream, FThin);
}

void TdxSkinBorders::ReadData(rtl::TStream* AStream, double AVersion)
{
  for (TdxSkinBorder* border : FBorders)
    border->ReadData(AStream, AVersion);
}

void TdxSkinBorders::WriteData(rtl::TStream* AStream)
{
  for (TdxSkinBorder* border : FBorders)
    border->WriteData(AStream);
}

void TdxSkinAlternateImageAttributes::ReadData(rtl::TStream* AStream, double AVersion)
{
  FAlpha = ReadSkinByte(AStream);
  FGradient = ReadSkinEnum<TdxSkinGradientMode>(AStream);
  FGradientBeginColor.ReadData(AStream, AVersion);
  FGradientEndColor.ReadData(AStream, AVersion);
  FBorders->ReadData(AStream, AVersion);
  FBordersInner->ReadData(AStream, AVersion);
  FContentOffsets->LoadFromStream(AStream);
}

void TdxSkinAlternateImageAttributes::WriteData(rtl::TStream* AStream)
{
  WriteSkinByte(AStream, FAlpha);
  WriteSkinByte(AStream, FGradient);
  FGradientBeginColor.WriteData(AStream);
  FGradientEndColor.WriteData(AStream);
  FBorders->WriteData(AStream);
  FBordersInner->WriteData(AStream);
  FContentOffsets->SaveToStream(AStream);
}

void TdxSkinCustomListProperty::ReadData(rtl::TStream* AStream, double AVersion)
{
  FProperties->ReadData(AStream, AVersion);
}

void TdxSkinCustomListProperty::WriteData(rtl::TStream* AStream)
{
  FProperties->WriteData(AStream);
}

// ---------------------------------------------------------------------------
// Lists

void TdxSkinCustomObjectList::ReadData(rtl::TStream* AStream, double AVersion)
{
  // Every item takes at least a length of four bytes.
  const int count = dxSkinReadCount(AStream, 4);
  BeginUpdate();
  try {
    for (int i = 0; i < count; ++i)
      DataReadItem(AStream, AVersion);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TdxSkinCustomObjectList::WriteData(rtl::TStream* AStream)
{
  dxSkinWriteInt32(AStream, GetCount());
  for (int i = 0; i < GetCount(); ++i)
    DataWriteItem(AStream, GetObject(i));
}

void TdxSkinProperties::DataReadItem(rtl::TStream* AStream, double AVersion)
{
  const TdxSkinReadNesting nesting;
  const rtl::String className = dxSkinReadString(AStream);
  const rtl::String name = dxSkinReadString(AStream);
  const rtl::TClass propertyClass = rtl::GetClass(className).ClassType();
  // Only the property classes a package may hold: another registered class
  // (an element, a group) is no property and must not be made as one.
  if (!TdxSkinProperty::IsRegistered(propertyClass))
    throw rtl::EClassNotFound(rtl::Format(L"Class %s not found", {className}));
  Add(name, TdxSkinPropertyClass(propertyClass))->ReadData(AStream, AVersion);
}

void TdxSkinProperties::DataWriteItem(rtl::TStream* AStream, TdxSkinCustomObject* AItem)
{
  dxSkinWriteString(AStream, AItem->ClassName());
  dxSkinWriteString(AStream, AItem->GetName());
  AItem->WriteData(AStream);
}

void TdxSkinControlGroups::DataReadItem(rtl::TStream* AStream, double AVersion)
{
  Add(dxSkinReadString(AStream))->ReadData(AStream, AVersion);
}

void TdxSkinControlGroups::DataWriteItem(rtl::TStream* AStream, TdxSkinCustomObject* AItem)
{
  dxSkinWriteString(AStream, AItem->GetName());
  AItem->WriteData(AStream);
}

void TdxSkinElements::DataReadItem(rtl::TStream* AStream, double AVersion)
{
  Add(dxSkinReadString(AStream), TdxSkinElementClass::Of<TdxSkinElement>())->ReadData(AStream, AVersion);
}

void TdxSkinElements::DataWriteItem(rtl::TStream* AStream, TdxSkinCustomObject* AItem)
{
  dxSkinWriteString(AStream, AItem->GetName());
  AItem->WriteData(AStream);
}

void TdxSkinControlGroup::ReadData(rtl::TStream* AStream, double AVersion)
{
  FElements->ReadData(AStream, AVersion);
  FProperties->ReadData(AStream, AVersion);
}

void TdxSkinControlGroup::WriteData(rtl::TStream* AStream)
{
  FElements->WriteData(AStream);
  FProperties->WriteData(AStream);
}

// ---------------------------------------------------------------------------
// Elements and images

void TdxSkinElement::ReadData(rtl::TStream* AStream, double AVersion)
{
  FColor.ReadData(AStream, AVersion);
  FAlpha = ReadSkinByte(AStream);
  if (!dxSkinVersionAtLeast(AVersion, 1.1))
    FReadImageCount = dxSkinReadInt32(AStream);
  FContentOffset->LoadFromStream(AStream);
  FGlyph->ReadData(AStream, AVersion);
  FImage->ReadData(AStream, AVersion);
  FBorders->ReadData(AStream, AVersion);
  FTextColor.ReadData(AStream, AVersion);
  FMinSize->LoadFromStream(AStream);
  FProperties->ReadData(AStream, AVersion);
}

void TdxSkinElement::WriteData(rtl::TStream* AStream)
{
  FColor.WriteData(AStream);
  WriteSkinByte(AStream, FAlpha);
  FContentOffset->SaveToStream(AStream);
  FGlyph->WriteData(AStream);
  FImage->WriteData(AStream);
  FBorders->WriteData(AStream);
  FTextColor.WriteData(AStream);
  FMinSize->SaveToStream(AStream);
  FProperties->WriteData(AStream);
}

void TdxSkinImage::ReadData(rtl::TStream* AStream, double AVersion)
{
  const auto checkedCount = [](std::int32_t ACount) {
    if (ACount > SkinsMaxImageCount)
      RaiseInvalidSkinStream();
    return std::max<std::int32_t>(ACount, 1);
  };
  if (!dxSkinVersionAtLeast(AVersion, 1.1) && FOwner)
    FImageCount = checkedCount(FOwner->GetReadImageCount());
  FMargins->LoadFromStream(AStream);
  FImageLayout = ReadSkinEnum<TdxSkinImageLayout>(AStream);
  if (dxSkinVersionAtLeast(AVersion, 1.1))
    FImageCount = checkedCount(dxSkinReadInt32(AStream));
  std::uint16_t states = 0;
  AStream->ReadBuffer(&states, sizeof(states));
  FStates = TdxSkinElementStates::FromOrd(states);
  FStretch = ReadSkinEnum<TdxSkinStretchMode>(AStream);
  if (dxSkinVersionAtLeast(AVersion, 1.02)) {
    FGradientBeginColor.ReadData(AStream, AVersion);
    FGradientEndColor.ReadData(AStream, AVersion);
    FGradient = ReadSkinEnum<TdxSkinGradientMode>(AStream);
  }
  dxSkinReadImage(AStream, FTexture);
  if (dxSkinVersionAtLeast(AVersion, 1.15))
    FColorPalettes->ReadData(AStream, AVersion);
  if (dxSkinVersionAtLeast(AVersion, 1.24))
    FInterpolationMode = ReadSkinEnum<TdxGPInterpolationMode>(AStream, imHighQualityBicubic + 1);
  FIsDirty = true;
}

void TdxSkinImage::WriteData(rtl::TStream* AStream)
{
  FMargins->SaveToStream(AStream);
  WriteSkinByte(AStream, FImageLayout);
  dxSkinWriteInt32(AStream, FImageCount);
  const std::uint16_t states = static_cast<std::uint16_t>(FStates.ToOrd());
  AStream->WriteBuffer(&states, sizeof(states));
  WriteSkinByte(AStream, FStretch);
  FGradientBeginColor.WriteData(AStream);
  FGradientEndColor.WriteData(AStream);
  WriteSkinByte(AStream, FGradient);
  dxSkinWriteImage(AStream, FTexture);
  FColorPalettes->WriteData(AStream);
  WriteSkinByte(AStream, static_cast<std::uint8_t>(FInterpolationMode));
}

void TdxSkinImage::SaveToStream(rtl::TStream* AStream)
{
  SaveSkinImageData(AStream, FTexture);
}

// ---------------------------------------------------------------------------
// Details

void TdxSkinDetails::ReadData(rtl::TStream* AStream, double AVersion)
{
  BeginUpdate();
  try {
    SetName(dxSkinReadString(AStream));
    if (dxSkinVersionAtLeast(AVersion, 1.04)) {
      SetDisplayName(dxSkinReadString(AStream));
      SetGroupName(dxSkinReadString(AStream));
      SetNotes(dxSkinReadWideString(AStream));
      dxSkinReadImage(AStream, FIcons[TdxSkinIconSize::sis16]);
      dxSkinReadImage(AStream, FIcons[TdxSkinIconSize::sis48]);
    }
    for (const TdxSkinIconSize size : {TdxSkinIconSize::sis16, TdxSkinIconSize::sis48})
      if (FIcons[size]->GetEmpty())
        ResetIcon(size);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TdxSkinDetails::WriteData(rtl::TStream* AStream)
{
  dxSkinWriteString(AStream, FName);
  dxSkinWriteString(AStream, FDisplayName);
  dxSkinWriteString(AStream, FGroupName);
  dxSkinWriteWideString(AStream, FNotes);
  dxSkinWriteImage(AStream, FIcons[TdxSkinIconSize::sis16]);
  dxSkinWriteImage(AStream, FIcons[TdxSkinIconSize::sis48]);
}

bool TdxSkinDetails::LoadFromStream(rtl::TStream* AStream)
{
  FDataOffset = AStream->GetPosition();
  double version = 0;
  if (!dxSkinCheckSignature(AStream, version))
    return false;
  if (dxSkinVersionAtLeast(version, 1.04)) {
    ReadData(AStream, version);
    return true;
  }
  // Older packages describe the skin by its name alone: read the whole one.
  rtl::TOwnedPtr<TdxSkin> skin(rtl::New<TdxSkin>(rtl::String(), false, HINSTANCE(nullptr)));
  AStream->SetPosition(FDataOffset);
  skin->LoadFromStream(AStream);
  Assign(skin->GetDetails());
  return true;
}

// ---------------------------------------------------------------------------
// TdxSkin: packages

void TdxSkin::ReadPackage(rtl::TStream* AStream, double AVersion)
{
  FDetails->ReadData(AStream, AVersion);
  FColors->ReadData(AStream, AVersion);
  FProperties->ReadData(AStream, AVersion);
  FGroups->ReadData(AStream, AVersion);
  if (dxSkinVersionAtLeast(AVersion, 1.15))
    FColorPalettes->ReadData(AStream, AVersion);
}

void TdxSkin::LoadFromStream(rtl::TStream* AStream)
{
  if (!dxGpIsAvailable())
    return;
  double version = 0;
  if (!dxSkinCheckSignature(AStream, version))
    RaiseInvalidSkinStream();
  // The package is read into a skin of its own and taken over only when all
  // of it was read: a damaged package leaves this skin as it was.
  rtl::TOwnedPtr<TdxSkin> loaded(TdxSkinClass(ClassType()).Create(rtl::String(), false, HINSTANCE(nullptr)));
  loaded->BeginUpdate();
  loaded->ReadPackage(AStream, version);
  BeginUpdate();
  try {
    Clear();
    Assign(loaded.get());
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TdxSkin::SaveToStream(rtl::TStream* AStream)
{
  dxSkinWriteSignature(AStream);
  FDetails->WriteData(AStream);
  FColors->WriteData(AStream);
  FProperties->WriteData(AStream);
  FGroups->WriteData(AStream);
  FColorPalettes->WriteData(AStream);
}

void TdxSkin::LoadFromResource(HINSTANCE AInstance)
{
  rtl::TOwnedPtr<rtl::TResourceStream> stream(rtl::New<rtl::TResourceStream>(AInstance, GetName(), L"DXSKINS"));
  LoadFromStream(stream.get());
}

void TdxSkin::LoadFromFile(const rtl::String& AFileName)
{
  rtl::TOwnedPtr<rtl::TFileStream> stream(rtl::New<rtl::TFileStream>(AFileName, rtl::fmOpenRead | rtl::fmShareDenyNone));
  LoadFromStream(stream.get());
}

void TdxSkin::SaveToFile(const rtl::String& AFileName)
{
  rtl::TOwnedPtr<rtl::TFileStream> stream(rtl::New<rtl::TFileStream>(AFileName, rtl::fmCreate));
  SaveToStream(stream.get());
}

void TdxSkin::LoadFromBinaryStream(rtl::TStream* AStream)
{
  rtl::TOwnedPtr<TdxSkinBinaryReader> reader(rtl::New<TdxSkinBinaryReader>(AStream));
  reader->LoadSkin(this, 0);
}

void TdxSkin::LoadFromBinaryFile(const rtl::String& AFileName)
{
  rtl::TOwnedPtr<rtl::TFileStream> stream(rtl::New<rtl::TFileStream>(AFileName, rtl::fmOpenRead | rtl::fmShareDenyNone));
  LoadFromBinaryStream(stream.get());
}

void TdxSkin::SaveToBinaryStream(rtl::TStream* AStream)
{
  rtl::TOwnedPtr<TdxSkinBinaryWriter> writer(rtl::New<TdxSkinBinaryWriter>(AStream));
  writer->AddSkin(this);
  writer->Finish();
}

void TdxSkin::SaveToBinaryFile(const rtl::String& AFileName)
{
  rtl::TOwnedPtr<rtl::TFileStream> stream(rtl::New<rtl::TFileStream>(AFileName, rtl::fmCreate));
  SaveToBinaryStream(stream.get());
}

// ---------------------------------------------------------------------------
// The container

void TdxSkinBinaryWriter::Create(rtl::TStream* AStream)
{
  FStream = AStream;
  FHeaderOffset = AStream->GetPosition();
  WriteHeader();
}

void TdxSkinBinaryWriter::Destroy()
{
  if (!FFinished) {
    // Destroy must not raise; a caller that needs to know calls Finish.
    try {
      Finish();
    } catch (const rtl::Exception&) {
    }
  }
  inherited::Destroy();
}

void TdxSkinBinaryWriter::WriteHeader()
{
  dxSkinWriteSignature(FStream);
  dxSkinWriteInt32(FStream, FCount);
}

void TdxSkinBinaryWriter::Finish()
{
  FFinished = true;
  FStream->SetPosition(FHeaderOffset);
  WriteHeader();
}

void TdxSkinBinaryWriter::AddSkin(TdxSkin* ASkin)
{
  ++FCount;
  const std::int64_t sizePosition = FStream->GetPosition();
  dxSkinWriteInt32(FStream, 0);
  ASkin->SaveToStream(FStream);
  const std::int64_t size = FStream->GetPosition() - sizePosition - 4;
  FStream->SetPosition(sizePosition);
  dxSkinWriteInt32(FStream, static_cast<std::int32_t>(size));
  FStream->SetPosition(sizePosition + 4 + size);
}

void TdxSkinBinaryReader::Create(rtl::TStream* AStream)
{
  FStream = AStream;
  FSkins = rtl::New<TcxObjectList>(true);
  const std::int64_t start = AStream->GetPosition();
  // A single package whose name is empty looks like an empty container: an
  // empty table is read again as one package.
  if (!ReadContainer() || GetCount() == 0) {
    AStream->SetPosition(start);
    ReadSinglePackage(start);
  }
}

void TdxSkinBinaryReader::Destroy()
{
  rtl::FreeAndNil(FSkins);
  inherited::Destroy();
}

bool TdxSkinBinaryReader::ReadContainer()
{
  double version = 0;
  if (!dxSkinCheckSignature(FStream, version))
    return false;
  std::int32_t count = 0;
  if (FStream->Read(&count, 4) < 4 || count < 0 || count > SkinStreamRemaining(FStream) / 4)
    return false;
  for (int i = 0; i < count; ++i) {
    std::int32_t size = 0;
    if (FStream->Read(&size, 4) < 4 || size < 0 || size > SkinStreamRemaining(FStream))
      return false;
    const std::int64_t position = FStream->GetPosition();
    rtl::TOwnedPtr<TdxSkinDetails> details(rtl::New<TdxSkinDetails>());
    try {
      if (!details->LoadFromStream(FStream))
        return false;
    } catch (const rtl::Exception&) {
      return false;
    }
    FSkins->Add(details.release());
    FStream->SetPosition(position + size);
  }
  return true;
}

void TdxSkinBinaryReader::ReadSinglePackage(std::int64_t APosition)
{
  FStream->SetPosition(APosition);
  rtl::TOwnedPtr<TdxSkinDetails> details(rtl::New<TdxSkinDetails>());
  try {
    if (!details->LoadFromStream(FStream))
      return;
  } catch (const rtl::Exception&) {
    // A description that cannot be read is no package of the table.
    return;
  }
  FSkins->Add(details.release());
}

TdxSkinDetails* TdxSkinBinaryReader::GetSkinDetails(int AIndex) const
{
  return static_cast<TdxSkinDetails*>(FSkins->GetItem(AIndex));
}

rtl::String TdxSkinBinaryReader::GetSkinName(int AIndex) const
{
  return GetSkinDetails(AIndex)->GetName();
}

rtl::String TdxSkinBinaryReader::GetSkinDisplayName(int AIndex) const
{
  return GetSkinDetails(AIndex)->GetDisplayName();
}

int TdxSkinBinaryReader::GetSkinOffset(int AIndex) const
{
  return static_cast<int>(GetSkinDetails(AIndex)->GetDataOffset());
}

bool TdxSkinBinaryReader::LoadSkin(TdxSkin* ASkin, int ASkinIndex)
{
  if (ASkinIndex < 0 || ASkinIndex >= GetCount())
    return false;
  FStream->SetPosition(GetSkinDetails(ASkinIndex)->GetDataOffset());
  ASkin->LoadFromStream(FStream);
  return true;
}

bool TdxSkinBinaryReader::LoadSkin(TdxSkin* ASkin, const rtl::String& ASkinName)
{
  int index = ASkinName.empty() ? 0 : -1;
  for (int i = 0; i < GetCount() && index < 0; ++i)
    if (rtl::SameText(GetSkinName(i), ASkinName))
      index = i;
  return LoadSkin(ASkin, index);
}
