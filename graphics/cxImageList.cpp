#include "graphics/cxImageList.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/cxGraphicsColors.h"
#include "graphics/cxGraphicsDraw.h"
#include "graphics/cxGraphicsPaintCache.h"
#include "graphics/dxFading.h"
#include "graphics/dxSmartImage.h"
#include "platform/rtl/ClassesFiler.h"
#include "platform/rtl/ClassesStreams.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/GraphicsHandles.h"

using namespace vcl;
using enum vcl::TPixelFormat;
using enum vcl::TDrawingStyle;
using enum vcl::TImageType;
using enum TcxImageDrawMode;

namespace {

// The format of the items this list writes; streams without it come from
// the platform's own list and carry only the native images.
constexpr int kImageListFormatVersion = 1;

HDC BitmapDC(TBitmap* ABitmap)
{
  return ABitmap->GetCanvas()->GetHandle();
}

// The native calls select what they get into a DC of their own, which fails
// for a bitmap still selected into its canvas: they get a copy.
TOwnedBitmap NativeCopy(TBitmap* ABitmap)
{
  return TOwnedBitmap(ABitmap ? cxCopyBitmapHandle(ABitmap->GetHandle()) : nullptr);
}

template <class T>
rtl::TOwnedPtr<T> NewSized(int AWidth, int AHeight, TPixelFormat AFormat)
{
  return rtl::TOwnedPtr<T>(rtl::NewWith<T>([&](T* B) { B->CreateSize(AWidth, AHeight, AFormat); }));
}

rtl::TOwnedPtr<TcxBitmap32> NewBitmap32(int AWidth, int AHeight)
{
  return rtl::TOwnedPtr<TcxBitmap32>(
      rtl::NewWith<TcxBitmap32>([&](TcxBitmap32* B) { B->CreateSize(AWidth, AHeight, true); }));
}

bool IsVectorImage(TGraphic* AGraphic)
{
  return rtl::Supports<IdxVectorImage>(AGraphic);
}

// Whether a class reference names a graphic class.
bool IsGraphicClass(rtl::TClass AClass)
{
  return AClass && AClass->InheritsFrom(TGraphic::StaticClass());
}

// AGraphic drawn into the whole of ADest, which is cleared first; a bitmap
// of the same size keeps its pixels (alpha included) unscaled.
void DrawGraphicInto(TBitmap* ADest, TGraphic* AGraphic, IdxColorPalette* APalette)
{
  const TRect target{0, 0, ADest->GetWidth(), ADest->GetHeight()};
  if (rtl::Is<TcxBitmap32>(ADest))
    static_cast<TcxBitmap32*>(ADest)->Clear();
  else
    cxFillBitmapBlack(ADest);
  if (rtl::Is<TdxCustomSmartImage>(AGraphic)) {
    static_cast<TdxCustomSmartImage*>(AGraphic)->StretchDraw(BitmapDC(ADest), target, 255, APalette);
    return;
  }
  if (!rtl::Is<TBitmap>(AGraphic) || AGraphic->GetEmpty())
    return;
  auto* source = static_cast<TBitmap*>(AGraphic);
  if (source->GetWidth() == target.right && source->GetHeight() == target.bottom)
    cxBlitRect(BitmapDC(ADest), BitmapDC(source), target, cxNullPoint);
  else
    // The own filter carries the fourth byte, which HALFTONE drops.
    cxSmoothResizeBitmap(source, ADest, true);
}

// A monochrome bitmap of that size with every bit 0: the native list reads
// it as fully opaque.
TOwnedBitmap OpaqueMask(int AWidth, int AHeight)
{
  return TOwnedBitmap(CreateBitmap(AWidth, AHeight, 1, 1, nullptr));
}

TOwnedBitmap ZeroedMask(int AWidth, int AHeight)
{
  TOwnedBitmap mask = OpaqueMask(AWidth, AHeight);
  TOwnedDC dc(CreateCompatibleDC(nullptr));
  TSelectObjectGuard select(dc.Get(), mask.Get());
  PatBlt(dc.Get(), 0, 0, AWidth, AHeight, BLACKNESS);
  return mask;
}

}  // namespace

// ---------------------------------------------------------------------------
// TcxImageInfo

void TcxImageInfo::Create()
{
  FImage = rtl::New<TcxBitmap>();
  FIsAlphaUsed = TdxDefaultBoolean::bDefault;
  FMask = rtl::New<TcxBitmap>();
  FMaskColor = clNone;
  FInternalMask = rtl::New<TcxBitmap>();
}

void TcxImageInfo::Destroy()
{
  rtl::FreeAndNil(FInternalMask);
  rtl::FreeAndNil(FMask);
  rtl::FreeAndNil(FImage);
  inherited::Destroy();
}

void TcxImageInfo::Assign(rtl::TPersistent* ASource)
{
  if (auto* source = rtl::Is<TcxImageInfo>(ASource) ? static_cast<TcxImageInfo*>(ASource) : nullptr) {
    SetImage(source->GetImage());
    SetMask(source->GetMask());
    FMaskColor = source->GetMaskColor();
  } else
    inherited::Assign(ASource);
}

void TcxImageInfo::SetImage(TGraphic* AValue)
{
  if (AValue) {
    if (AValue->ClassType() != FImage->ClassType()) {
      TGraphic* image = TGraphicClass(AValue->ClassType()).Create();
      rtl::Free(FImage);
      FImage = image;
    }
    FImage->Assign(AValue);
  }
  FIsAlphaUsed = TdxDefaultBoolean::bDefault;
}

void TcxImageInfo::SetMask(TBitmap* AValue)
{
  FMask->Assign(AValue);
  if (!FMask->GetEmpty())
    FMask->GetHandle();
}

bool TcxImageInfo::IsAlphaUsed()
{
  if (FIsAlphaUsed == TdxDefaultBoolean::bDefault)
    FIsAlphaUsed = TcxImageInfoHelper::IsAlphaUsed(FImage) ? TdxDefaultBoolean::bTrue : TdxDefaultBoolean::bFalse;
  return FIsAlphaUsed == TdxDefaultBoolean::bTrue;
}

bool TcxImageInfo::HasMask()
{
  return cxIsColorAssigned(FMaskColor) || !FMask->GetEmpty();
}

void TcxImageInfo::ConvertTo32Bit()
{
  if (HasMask()) {
    const rtl::TOwnedPtr<TcxAlphaBitmap> bitmap(rtl::NewWith<TcxAlphaBitmap>(
        [&](TcxAlphaBitmap* B) { B->CreateSize(FImage->GetWidth(), FImage->GetHeight()); }));
    TcxImageInfoHelper::CopyRect(bitmap.get(), bitmap->GetClientRect(), FImage);
    if (!cxIsColorAssigned(FMaskColor)) {
      if (!IsAlphaUsed())
        bitmap->TransformBitmap(TcxBitmapTransformationMode::btmSetOpaque);
      if (!FMask->GetEmpty()) {
        // The mask is white where the image is transparent.
        TOwnedRegion region(cxCreateRegionFromBitmap(FMask, clBlack));
        if (region) {
          TClipRegionGuard clip(BitmapDC(bitmap.get()));
          SelectClipRgn(BitmapDC(bitmap.get()), region.Get());
          // GDI writes black with alpha 0: fully transparent.
          cxFillRectByColor(BitmapDC(bitmap.get()), bitmap->GetClientRect(), clBlack);
        }
      }
    } else
      bitmap->RecoverTransparency(FMaskColor);
    const rtl::TOwnedPtr<TBitmap> plain(rtl::New<TBitmap>());
    plain->Assign(bitmap.get());
    SetImage(plain.get());
  }
  FlushMask();
}

void TcxImageInfo::FlushMask()
{
  FMask->Assign(nullptr);
  FMaskColor = clNone;
}

void TcxImageInfo::Resize(const TSize& ASize)
{
  ConvertTo32Bit();
  TcxImageInfoHelper::Resize(FImage, ASize);
  FIsAlphaUsed = TdxDefaultBoolean::bDefault;
}

void TcxImageInfo::Dormant()
{
  if (!FMask->GetEmpty())
    FMask->Dormant();
  if (!FImage->GetEmpty())
    TcxImageInfoHelper::Dormant(FImage);
}

bool TcxImageInfo::GetCompressData()
{
  bool result = rtl::Is<TcxBitmap>(FMask) && static_cast<TcxBitmap*>(FMask)->GetCompressData();
  if (result && rtl::Is<TcxBitmap>(FImage))
    result = static_cast<TcxBitmap*>(FImage)->GetCompressData();
  return result;
}

void TcxImageInfo::SetCompressData(bool AValue)
{
  if (GetCompressData() == AValue)
    return;
  if (rtl::Is<TcxBitmap>(FImage))
    static_cast<TcxBitmap*>(FImage)->SetCompressData(AValue);
  if (rtl::Is<TcxBitmap>(FMask))
    static_cast<TcxBitmap*>(FMask)->SetCompressData(AValue);
}

// ---------------------------------------------------------------------------
// TcxImageInfoItem

void TcxImageInfoItem::Create(rtl::TCollection* ACollection)
{
  FImageInfo = rtl::New<TcxImageInfo>();
  inherited::Create(ACollection);
}

void TcxImageInfoItem::Destroy()
{
  inherited::Destroy();
  rtl::FreeAndNil(FImageInfo);
}

void TcxImageInfoItem::Assign(rtl::TPersistent* ASource)
{
  if (rtl::Is<TcxImageInfoItem>(ASource))
    FImageInfo->Assign(static_cast<TcxImageInfoItem*>(ASource)->GetImageInfo());
  else
    inherited::Assign(ASource);
}

rtl::String TcxImageInfoItem::GetImageClass() const
{
  return GetImage()->ClassName();
}

void TcxImageInfoItem::SetImageClass(const rtl::String& AValue)
{
  const rtl::TClass graphicClass = rtl::GetClass(AValue);
  if (!IsGraphicClass(graphicClass))
    throw EdxException(rtl::Format(L"The \"%s\" is invalid graphic class", {AValue}));
  const rtl::TOwnedPtr<TGraphic> image(TGraphicClass(graphicClass).Create());
  SetImage(image.get());
}

bool TcxImageInfoItem::IsImageClassStored()
{
  return !rtl::Is<TcxBitmap>(GetImage());
}

// ---------------------------------------------------------------------------
// TcxImageInfoCollection

void TcxImageInfoCollection::Create(TcxCustomImageList* AImageList)
{
  inherited::Create(rtl::TCollectionItemClass::Of<TcxImageInfoItem>());
  FImageList = AImageList;
}

TcxImageInfoItem* TcxImageInfoCollection::Add(TGraphic* AImage, TBitmap* AMask, TColor AMaskColor)
{
  auto* item = static_cast<TcxImageInfoItem*>(inherited::Add());
  item->SetImage(AImage);
  item->SetMask(AMask);
  item->SetMaskColor(AMaskColor);
  item->GetImageInfo()->SetCompressData(FCompressData);
  return item;
}

void TcxImageInfoCollection::SetCompressData(bool AValue)
{
  FCompressData = AValue;
  for (int i = 0; i < GetCount(); ++i)
    GetItem(i)->GetImageInfo()->SetCompressData(AValue);
}

rtl::TPersistent* TcxImageInfoCollection::GetOwner()
{
  return FImageList;
}

void TcxImageInfoCollection::Notify(rtl::TCollectionItem* AItem, rtl::TCollectionNotification AAction)
{
  inherited::Notify(AItem, AAction);
  // Items read from a stream join through the collection, not Add.
  if (AAction == rtl::TCollectionNotification::cnAdded)
    static_cast<TcxImageInfoItem*>(AItem)->GetImageInfo()->SetCompressData(FCompressData);
}

// ---------------------------------------------------------------------------
// TcxImageInfoHelper

void TcxImageInfoHelper::CopyRect(TBitmap* ADest, const TRect& ADestRect, TGraphic* ASource,
                                  const TRect& ASourceRect)
{
  if (rtl::Is<TBitmap>(ASource))
    ADest->GetCanvas()->CopyRect(ADestRect, static_cast<TBitmap*>(ASource)->GetCanvas(), ASourceRect);
  else if (rtl::Is<TdxCustomSmartImage>(ASource))
    static_cast<TdxCustomSmartImage*>(ASource)->StretchDraw(BitmapDC(ADest), ADestRect, ASourceRect, 255,
                                                              nullptr);
}

void TcxImageInfoHelper::CopyRect(TBitmap* ADest, const TRect& ADestRect, TGraphic* ASource)
{
  CopyRect(ADest, ADestRect, ASource, TRect{0, 0, ASource->GetWidth(), ASource->GetHeight()});
}

void TcxImageInfoHelper::Dormant(TGraphic* AGraphic)
{
  if (rtl::Is<TBitmap>(AGraphic))
    static_cast<TBitmap*>(AGraphic)->Dormant();
  else if (rtl::Is<TdxCustomSmartImage>(AGraphic))
    static_cast<TdxCustomSmartImage*>(AGraphic)->Dormant();
}

TColor TcxImageInfoHelper::GetDefaultTransparentColor(TGraphic* AImage, TBitmap* AMask)
{
  if (AMask || !rtl::Is<TBitmap>(AImage) || IsAlphaUsed(AImage))
    return clNone;
  return GetPixel(AImage, 0, AImage->GetHeight() - 1);
}

TColor TcxImageInfoHelper::GetPixel(TGraphic* AGraphic, int X, int Y)
{
  if (!rtl::Is<TBitmap>(AGraphic))
    return clNone;
  return static_cast<TBitmap*>(AGraphic)->GetCanvas()->GetPixel(X, Y);
}

TPixelFormat TcxImageInfoHelper::GetPixelFormat(TGraphic* AGraphic)
{
  if (rtl::Is<TBitmap>(AGraphic))
    return static_cast<TBitmap*>(AGraphic)->GetPixelFormat();
  if (rtl::Is<TMetafile>(AGraphic))
    return pf24bit;
  return pf32bit;
}

bool TcxImageInfoHelper::IsAlphaUsed(TGraphic* AGraphic)
{
  if (rtl::Is<TBitmap>(AGraphic)) {
    auto* bitmap = static_cast<TBitmap*>(AGraphic);
    if (bitmap->GetEmpty() || bitmap->GetPixelFormat() != pf32bit)
      return false;
    const std::vector<std::uint32_t> pixels = cxReadBitmapPixels(bitmap);
    return dxGetPixelsAlphaState(reinterpret_cast<const RGBQUAD*>(pixels.data()),
                                 static_cast<int>(pixels.size())) != asNoAlpha;
  }
  if (rtl::Is<TdxCustomSmartImage>(AGraphic))
    return static_cast<TdxCustomSmartImage*>(AGraphic)->IsAlphaUsed();
  return false;
}

void TcxImageInfoHelper::Resize(TGraphic*& AGraphic, const TSize& ASize)
{
  if (rtl::Is<TdxCustomSmartImage>(AGraphic))
    static_cast<TdxCustomSmartImage*>(AGraphic)->Resize(ASize);
  else if (rtl::Is<TBitmap>(AGraphic)) {
    rtl::TOwnedPtr<TcxBitmap32> resized = NewBitmap32(ASize.cx, ASize.cy);
    DrawGraphicInto(resized.get(), AGraphic, nullptr);
    rtl::Free(AGraphic);
    AGraphic = resized.release();
  } else
    throw rtl::Exception(L"");
}

// ---------------------------------------------------------------------------
// TcxBaseImageList

void TcxBaseImageList::Create(rtl::TComponent* AOwner)
{
  FSourceDPI = dxDefaultDPI;
  inherited::Create(AOwner);
}

void TcxBaseImageList::BeforeDestruction()
{
  if (rtl::TComponent* owner = GetOwner())
    owner->Notification(this, rtl::TOperation::opRemove);
  inherited::BeforeDestruction();
}

void TcxBaseImageList::SetSourceDPI(int AValue)
{
  AValue = dxCheckDPI(AValue);
  if (AValue == FSourceDPI)
    return;
  FSourceDPI = AValue;
  Change();
}

// ---------------------------------------------------------------------------
// TcxCustomImageList: life cycle and updates

void TcxCustomImageList::Initialize()
{
  BeginUpdate();
  inherited::Initialize();
  FImages = rtl::New<TcxImageInfoCollection>(this);
  FAlphaBlending = true;
  SetColorDepth(TColorDepth::cd32Bit);
  CancelUpdate();
}

void TcxCustomImageList::Destroy()
{
  TdxImageListPaintCache::InvalidateImageList(this);
  inherited::Destroy();
  rtl::FreeAndNil(FImages);
}

void TcxCustomImageList::BeginUpdate()
{
  ++FLockCount;
}

void TcxCustomImageList::EndUpdate()
{
  if (--FLockCount == 0)
    Change();
}

void TcxCustomImageList::CancelUpdate()
{
  --FLockCount;
}

void TcxCustomImageList::Change()
{
  using enum rtl::TComponentStateFlag;
  if (FLockCount > 0 || !FImages || (GetComponentState().Contains(csLoading) ||
                                        GetComponentState().Contains(csReading) ||
                                        GetComponentState().Contains(csDestroying)))
    return;
  TdxImageListPaintCache::InvalidateImageList(this);
  if (GetCount() == FImages->GetCount())
    inherited::Change();
  else
    SynchronizeImageInfos();
}

// ---------------------------------------------------------------------------
// Adding

int TcxCustomImageList::Add(TGraphic* AImage, TBitmap* AMask)
{
  if (!AImage && !AMask)
    return -1;
  rtl::TOwnedPtr<TBitmap> converted;
  TBitmap* image = rtl::Is<TBitmap>(AImage) ? static_cast<TBitmap*>(AImage) : nullptr;
  if (AImage && !image) {
    if (IsVectorImage(AImage)) {
      converted.reset(NewBitmap32(GetWidth(), GetHeight()).release());
      DrawGraphicInto(converted.get(), AImage, nullptr);
    } else
      converted.reset(cxGraphicToBitmap(AImage));
    image = converted.get();
  }
  const TOwnedBitmap nativeImage = NativeCopy(image);
  TOwnedBitmap nativeMask = NativeCopy(AMask);
  if (!nativeMask) {
    // The mask covers the whole image: a strip needs one for every cell,
    // not only the first.
    const int width = image ? std::max(image->GetWidth(), GetWidth()) : GetWidth();
    const int height = image ? std::max(image->GetHeight(), GetHeight()) : GetHeight();
    nativeMask = ZeroedMask(width, height);
  }
  const int result = ImageList_Add(GetHandle(), image ? nativeImage.Get() : nullptr, nativeMask.Get());
  if (result >= 0 && !IsSynchronizing())
    AddImageInfos(AImage, AMask, clNone);
  Change();
  return result;
}

int TcxCustomImageList::Add(TdxCustomSmartImage* AImage)
{
  return Add(static_cast<TGraphic*>(AImage), nullptr);
}

int TcxCustomImageList::AddMasked(TGraphic* AImage, TColor AMaskColor)
{
  if (AMaskColor == clNone)
    return Add(AImage, nullptr);
  if (!AImage)
    return -1;
  BeginUpdate();
  int result = -1;
  try {
    const rtl::TOwnedPtr<TcxBitmap> bitmap(cxGraphicToBitmap(AImage));
    // A 32-bit list draws a 32-bit image by its alpha and never looks at the
    // mask made from the colour: the colour rules, so the alpha goes.
    if (bitmap->GetPixelFormat() == pf32bit)
      bitmap->SetPixelFormat(pf24bit);
    const TOwnedBitmap native = NativeCopy(bitmap.get());
    result = ImageList_AddMasked(GetHandle(), native.Get(), static_cast<COLORREF>(ColorToRGB(AMaskColor)));
    if (result >= GetCount())
      result = -1;
    if (result >= 0 && !IsSynchronizing())
      AddImageInfos(AImage, nullptr, AMaskColor);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  return result;
}

int TcxCustomImageList::AddIcon(TIcon* AIcon)
{
  BeginUpdate();
  int result = -1;
  try {
    result = inherited::AddIcon(AIcon);
    if (result >= 0 && !IsSynchronizing()) {
      const rtl::TOwnedPtr<TcxBitmap32> image = NewBitmap32(GetWidth(), GetHeight());
      const rtl::TOwnedPtr<TcxBitmap> mask = NewSized<TcxBitmap>(GetWidth(), GetHeight(), pf1bit);
      GetImageInfo(GetHandle(), result, image.get(), mask.get());
      AddImageInfos(image.get(), mask.get(), clNone);
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  return result;
}

int TcxCustomImageList::AddBitmap(TBitmap* AImage, TBitmap* AMask, TColor AMaskColor, bool AStretch, bool ASmooth)
{
  if (!AImage)
    return -1;
  rtl::TOwnedPtr<TcxBitmap32> image;
  TBitmap* fitted = AImage;
  if (AImage->GetWidth() != GetWidth() || AImage->GetHeight() != GetHeight()) {
    image = NewBitmap32(AImage->GetWidth(), AImage->GetHeight());
    image->CopyBitmap(AImage);
    cxFitBitmapToSize(image.get(), GetWidth(), GetHeight(), AMaskColor,
                      AStretch && ASmooth && AImage->GetPixelFormat() == pf32bit, AStretch);
    fitted = image.get();
  }
  rtl::TOwnedPtr<TcxBitmap32> mask;
  TBitmap* fittedMask = AMask;
  if (AMask && (AMask->GetWidth() != GetWidth() || AMask->GetHeight() != GetHeight())) {
    mask = NewBitmap32(AMask->GetWidth(), AMask->GetHeight());
    mask->CopyBitmap(AMask);
    cxFitBitmapToSize(mask.get(), GetWidth(), GetHeight(), clNone, false, AStretch);
    fittedMask = mask.get();
  }
  return fittedMask ? Add(fitted, fittedMask) : AddMasked(fitted, AMaskColor);
}

int TcxCustomImageList::AddImage(TCustomImageList* AImages, int AIndex)
{
  if (!AImages || AIndex >= AImages->GetCount())
    return -1;
  const int result = GetCount();
  CopyImages(AImages, AIndex, AIndex);
  return result;
}

void TcxCustomImageList::AddImages(TCustomImageList* AImages)
{
  if (AImages)
    CopyImages(AImages, 0, -1);
}

void TcxCustomImageList::CopyImages(TCustomImageList* AImages, int AStartIndex, int AEndIndex)
{
  if (!AImages)
    return;
  BeginUpdate();
  try {
    const int last = AEndIndex < 0 ? AImages->GetCount() - 1 : std::min(AImages->GetCount() - 1, AEndIndex);
    const int first = std::max(AStartIndex, 0);
    if (rtl::Is<TcxCustomImageList>(AImages)) {
      TcxImageInfoCollection* items = static_cast<TcxCustomImageList*>(AImages)->GetImageInfos();
      for (int i = first; i <= last; ++i)
        AddFromImageInfo(items->GetItem(i)->GetImageInfo());
    } else {
      const rtl::TOwnedPtr<TcxCustomImageList> copy(rtl::New<TcxCustomImageList>(nullptr));
      copy->Assign(AImages);
      TcxImageInfoCollection* items = copy->GetImageInfos();
      for (int i = first; i <= last && i < items->GetCount(); ++i)
        AddFromImageInfo(items->GetItem(i)->GetImageInfo());
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

int TcxCustomImageList::AddFromImageInfo(TcxImageInfo* AInfo)
{
  if (!AInfo->GetMask()->GetEmpty())
    return Add(AInfo->GetImage(), AInfo->GetMask());
  return AddMasked(AInfo->GetImage(), AInfo->GetMaskColor());
}

void TcxCustomImageList::AddImageInfos(TGraphic* AImage, TBitmap* AMask, TColor AMaskColor)
{
  if (!IsImageStrip(AImage)) {
    FImages->Add(AImage, AMask, AMaskColor)->GetImageInfo()->Dormant();
    return;
  }
  const int columns = AImage->GetWidth() / GetWidth();
  const int rows = AImage->GetHeight() / GetHeight();
  const TRect cellRect{0, 0, GetWidth(), GetHeight()};
  const TPixelFormat format = TcxImageInfoHelper::GetPixelFormat(AImage);
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < columns; ++column) {
      const TRect source = cxRectOffsetBy(cellRect, column * GetWidth(), row * GetHeight());
      const rtl::TOwnedPtr<TcxBitmap> cell = NewSized<TcxBitmap>(GetWidth(), GetHeight(), format);
      cxFillBitmapBlack(cell.get());
      TcxImageInfoHelper::CopyRect(cell.get(), cellRect, AImage, source);
      rtl::TOwnedPtr<TcxBitmap> mask;
      if (AMask) {
        mask = NewSized<TcxBitmap>(GetWidth(), GetHeight(), pf1bit);
        TcxImageInfoHelper::CopyRect(mask.get(), cellRect, AMask, source);
      }
      FImages->Add(cell.get(), mask.get(), AMaskColor)->GetImageInfo()->Dormant();
    }
}

bool TcxCustomImageList::IsImageStrip(TGraphic* AGraphic)
{
  if (!AGraphic || AGraphic->GetEmpty())
    return false;
  const int width = AGraphic->GetWidth();
  const int height = AGraphic->GetHeight();
  if (width == GetWidth() && height == GetHeight())
    return false;
  return width % GetWidth() == 0 && height % GetHeight() == 0 && !IsVectorImage(AGraphic);
}

int TcxCustomImageList::GetImageCount(TGraphic* AGraphic)
{
  if (!IsImageStrip(AGraphic))
    return 1;
  return (AGraphic->GetWidth() / GetWidth()) * (AGraphic->GetHeight() / GetHeight());
}

// ---------------------------------------------------------------------------
// Inserting, moving, deleting

void TcxCustomImageList::Insert(int AIndex, TGraphic* AImage, TBitmap* AMask)
{
  if (AIndex < 0 || AIndex > GetCount())
    return;
  BeginUpdate();
  try {
    const int first = Add(AImage, AMask);
    if (first >= 0)
      for (int k = 0; k < GetImageCount(AImage); ++k)
        Move(first + k, AIndex + k);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TcxCustomImageList::InsertMasked(int AIndex, TGraphic* AImage, TColor AMaskColor)
{
  if (AIndex < 0 || AIndex > GetCount())
    return;
  BeginUpdate();
  try {
    const int first = AddMasked(AImage, AMaskColor);
    if (first >= 0)
      for (int k = 0; k < GetImageCount(AImage); ++k)
        Move(first + k, AIndex + k);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TcxCustomImageList::InsertIcon(int AIndex, TIcon* AIcon)
{
  if (AIndex < 0 || AIndex > GetCount())
    return;
  const int index = AddIcon(AIcon);
  if (index >= 0)
    Move(index, AIndex);
}

void TcxCustomImageList::Replace(int AIndex, TGraphic* AImage, TBitmap* AMask)
{
  BeginUpdate();
  try {
    Delete(AIndex);
    Insert(AIndex, AImage, AMask);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TcxCustomImageList::ReplaceMasked(int AIndex, TGraphic* AImage, TColor AMaskColor)
{
  BeginUpdate();
  try {
    Delete(AIndex);
    InsertMasked(AIndex, AImage, AMaskColor);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TcxCustomImageList::ReplaceIcon(int AIndex, TIcon* AIcon)
{
  BeginUpdate();
  try {
    Delete(AIndex);
    InsertIcon(AIndex, AIcon);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TcxCustomImageList::Move(int ACurIndex, int ANewIndex)
{
  if (ACurIndex == ANewIndex)
    return;
  BeginUpdate();
  try {
    inherited::Move(ACurIndex, ANewIndex);
    if (!IsSynchronizing() && ACurIndex >= 0 && ACurIndex < FImages->GetCount())
      FImages->GetItem(ACurIndex)->SetIndex(ANewIndex);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TcxCustomImageList::Delete(int AIndex)
{
  BeginUpdate();
  try {
    inherited::Delete(AIndex);
    if (!IsSynchronizing()) {
      if (AIndex == -1)
        FImages->Clear();
      else if (AIndex < FImages->GetCount())
        FImages->Delete(AIndex);
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TcxCustomImageList::SetSize(int AWidth, int AHeight)
{
  AWidth = std::max(AWidth, 1);
  AHeight = std::max(AHeight, 1);
  if (AWidth == GetWidth() && AHeight == GetHeight())
    return;
  BeginUpdate();
  try {
    if (FImages)
      Clear();
    inherited::SetSize(AWidth, AHeight);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

// ---------------------------------------------------------------------------
// Synchronising

void TcxCustomImageList::SynchronizeImageInfos()
{
  FImages->BeginUpdate();
  try {
    FImages->Clear();
    const int count = GetCount();
    if (count > 0) {
      const rtl::TOwnedPtr<TcxBitmap32> image = NewBitmap32(GetWidth(), GetHeight());
      const rtl::TOwnedPtr<TcxBitmap> mask = NewSized<TcxBitmap>(GetWidth(), GetHeight(), pf1bit);
      for (int i = 0; i < count; ++i) {
        GetImageInfo(GetHandle(), i, image.get(), mask.get());
        FImages->Add(image.get(), mask.get(), clNone)->GetImageInfo()->Dormant();
      }
    }
  } catch (...) {
    FImages->EndUpdate();
    throw;
  }
  FImages->EndUpdate();
}

void TcxCustomImageList::SynchronizeHandle()
{
  BeginUpdate();
  ++FSynchronizationLockCount;
  try {
    inherited::Delete(-1);
    for (int i = FImages->GetCount() - 1, k = 0; k <= i;) {
      TcxImageInfo* info = FImages->GetItem(k)->GetImageInfo();
      if (AddFromImageInfo(info) < 0) {
        FImages->Delete(k);
        --i;
      } else {
        info->Dormant();
        ++k;
      }
    }
  } catch (...) {
    --FSynchronizationLockCount;
    EndUpdate();
    throw;
  }
  --FSynchronizationLockCount;
  EndUpdate();
}

bool TcxCustomImageList::LoadImage(HINSTANCE AInstance, const rtl::String& AResourceName, TColor AMaskColor,
                                   int AWidth, UINT AFlags)
{
  COLORREF mask = CLR_NONE;
  if (AMaskColor == clDefault)
    mask = CLR_DEFAULT;
  else if (AMaskColor != clNone)
    mask = static_cast<COLORREF>(ColorToRGB(AMaskColor));
  HIMAGELIST loaded = ImageList_LoadImageW(AInstance, AResourceName.c_str(), AWidth, GetAllocBy(), mask,
                                           IMAGE_BITMAP, LR_CREATEDIBSECTION | AFlags);
  if (!loaded)
    return false;
  const rtl::TOwnedPtr<TImageList> temp(rtl::New<TImageList>(nullptr));
  temp->SetHandle(loaded);
  CopyImages(temp.get(), 0, -1);
  return true;
}

void TcxCustomImageList::SetHandle(HIMAGELIST AValue)
{
  if (!AValue)
    return;
  const rtl::TOwnedPtr<TImageList> temp(rtl::New<TImageList>(nullptr));
  // The temporary list shares AValue, which is destroyed here once copied.
  temp->SetShareImages(true);
  temp->SetHandle(AValue);
  try {
    Assign(temp.get());
  } catch (...) {
    ImageList_Destroy(AValue);
    throw;
  }
  ImageList_Destroy(AValue);
}

void TcxCustomImageList::Assign(rtl::TPersistent* ASource)
{
  if (!rtl::Is<TCustomImageList>(ASource))
    return;
  auto* source = static_cast<TCustomImageList*>(ASource);
  BeginUpdate();
  try {
    SetSize(source->GetWidth(), source->GetHeight());
    SetBkColor(source->GetBkColor());
    SetBlendColor(source->GetBlendColor());
    SetDrawingStyle(source->GetDrawingStyle());
    SetImageType(source->GetImageType());
    if (rtl::Is<TcxCustomImageList>(source))
      SetSourceDPI(static_cast<TcxCustomImageList*>(source)->GetSourceDPI());
    Clear();
    if (rtl::Is<TcxCustomImageList>(source)) {
      TcxImageInfoCollection* items = static_cast<TcxCustomImageList*>(source)->GetImageInfos();
      for (int i = 0; i < items->GetCount(); ++i)
        AddFromImageInfo(items->GetItem(i)->GetImageInfo());
    } else {
      const rtl::TOwnedPtr<TcxBitmap32> image = NewBitmap32(GetWidth(), GetHeight());
      const rtl::TOwnedPtr<TcxBitmap> mask = NewSized<TcxBitmap>(GetWidth(), GetHeight(), pf1bit);
      for (int i = 0; i < source->GetCount(); ++i) {
        GetImageInfo(source->GetHandle(), i, image.get(), mask.get());
        Add(image.get(), mask.get());
      }
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

// ---------------------------------------------------------------------------
// Reading images

void TcxCustomImageList::GetImageInfo(int AIndex, TBitmap* AImage, TBitmap* AMask, IdxColorPalette* APalette)
{
  if (AIndex == -1) {
    GetImageInfo(GetHandle(), -1, AImage, AMask);
    return;
  }
  if (AIndex < 0 || AIndex >= FImages->GetCount())
    return;
  TcxImageInfo* info = FImages->GetItem(AIndex)->GetImageInfo();
  if (TcxImageInfoHelper::GetPixelFormat(info->GetImage()) == pf32bit) {
    if (AImage) {
      if (AImage->GetEmpty()) {
        AImage->SetPixelFormat(pf32bit);
        AImage->SetSize(GetWidth(), GetHeight());
      }
      DrawGraphicInto(AImage, info->GetImage(), APalette);
    }
    if (AMask) {
      if (!info->GetMask()->GetEmpty())
        AMask->Assign(info->GetMask());
      else {
        if (info->GetInternalMask()->GetEmpty()) {
          info->GetInternalMask()->SetPixelFormat(pf1bit);
          info->GetInternalMask()->SetSize(GetWidth(), GetHeight());
          GetImageInfo(GetHandle(), AIndex, nullptr, info->GetInternalMask());
        }
        AMask->Assign(info->GetInternalMask());
      }
    }
  } else
    GetImageInfo(GetHandle(), AIndex, AImage, AMask);
  if (rtl::Is<TBitmap>(info->GetImage()))
    info->Dormant();
}

void TcxCustomImageList::GetImage(int AIndex, TdxCustomSmartImage* AImage)
{
  if (AIndex < 0 || AIndex >= FImages->GetCount())
    return;
  TGraphic* source = FImages->GetItem(AIndex)->GetImage();
  if (TcxImageInfoHelper::GetPixelFormat(source) == pf32bit)
    AImage->Assign(source);
  else {
    const rtl::TOwnedPtr<TcxBitmap> bitmap(rtl::New<TcxBitmap>());
    GetImageInfo(AIndex, bitmap.get(), nullptr, nullptr);
    AImage->Assign(bitmap.get());
  }
}

void TcxCustomImageList::GetImageInfo(HIMAGELIST AHandle, int AIndex, TBitmap* AImage, TBitmap* AMask)
{
  IMAGEINFO info{};
  if (!AHandle || !ImageList_GetImageInfo(AHandle, std::max(AIndex, 0), &info))
    return;
  if (AIndex == -1) {
    if (AImage)
      AImage->SetHandle(cxCopyBitmapHandle(info.hbmImage));
    if (AMask && info.hbmMask)
      AMask->SetHandle(cxCopyBitmapHandle(info.hbmMask));
    return;
  }
  const TRect source = info.rcImage;
  const auto copyPart = [&](TBitmap* ADest, HBITMAP ANative, TPixelFormat AFormat, bool ASmooth) {
    if (ADest->GetEmpty()) {
      ADest->SetPixelFormat(AFormat);
      ADest->SetSize(cxRectGetWidth(source), cxRectGetHeight(source));
    }
    const rtl::TOwnedPtr<TBitmap> whole(rtl::New<TBitmap>());
    whole->SetHandle(cxCopyBitmapHandle(ANative));
    const TRect target{0, 0, ADest->GetWidth(), ADest->GetHeight()};
    if (cxRectsSameSize(target, source))
      cxBlitRect(BitmapDC(ADest), BitmapDC(whole.get()), target, TPoint{source.left, source.top});
    else {
      TStretchBltModeGuard mode(BitmapDC(ADest), ASmooth ? HALFTONE : COLORONCOLOR);
      cxStretchBlt(BitmapDC(ADest), BitmapDC(whole.get()), target, source);
    }
  };
  if (AImage) {
    copyPart(AImage, info.hbmImage, pf32bit, info.hbmMask == nullptr);
    if (TcxImageInfoHelper::IsAlphaUsed(AImage))
      TdxFadingHelper::CorrectAlphaChannel(AImage);
  }
  if (AMask) {
    if (info.hbmMask)
      copyPart(AMask, info.hbmMask, pf1bit, false);
    else {
      if (AMask->GetEmpty()) {
        AMask->SetPixelFormat(pf1bit);
        AMask->SetSize(cxRectGetWidth(source), cxRectGetHeight(source));
      }
      cxFillBitmapBlack(AMask);
    }
  }
}

void TcxCustomImageList::GetImageInfo(TCustomImageList* AImages, int AIndex, TBitmap* AImage, TBitmap* AMask,
                                      IdxColorPalette* APalette)
{
  if (rtl::Is<TcxCustomImageList>(AImages))
    static_cast<TcxCustomImageList*>(AImages)->GetImageInfo(AIndex, AImage, AMask, APalette);
  else if (AImages)
    GetImageInfo(AImages->GetHandle(), AIndex, AImage, AMask);
}

int TcxCustomImageList::GetPixelFormat(HIMAGELIST AHandle)
{
  IMAGEINFO info{};
  BITMAP bitmap{};
  if (!AHandle || !ImageList_GetImageInfo(AHandle, 0, &info) || !dxGetBitmapData(info.hbmImage, bitmap))
    return 0;
  return bitmap.bmBitsPixel;
}

bool TcxCustomImageList::IsEquals(TCustomImageList* AImages1, TCustomImageList* AImages2)
{
  if (AImages1->GetCount() != AImages2->GetCount())
    return false;
  if (AImages1->GetCount() == 0)
    return true;
  const auto written = [](TCustomImageList* AImages) {
    const rtl::TOwnedPtr<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
    rtl::IPtr<IStream> adapter(
        rtl::NewWith<rtl::TStreamAdapter>([&](rtl::TStreamAdapter* A) { A->Create(stream.get()); }));
    ImageList_Write(AImages->GetHandle(), adapter.Get());
    const auto* bytes = static_cast<const std::uint8_t*>(stream->Memory());
    return std::vector<std::uint8_t>(bytes, bytes + stream->GetSize());
  };
  return written(AImages1) == written(AImages2);
}

// ---------------------------------------------------------------------------
// Drawing

UINT TcxCustomImageList::NativeDrawingFlags() const
{
  static constexpr UINT kStyleFlags[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
  return kStyleFlags[static_cast<int>(GetDrawingStyle())] | (GetImageType() == itMask ? ILD_MASK : 0);
}

void TcxCustomImageList::Draw(TCanvas* ACanvas, const TRect& ARect, int AIndex, bool AStretch, bool ASmoothResize,
                              bool AEnabled)
{
  DrawImageCore(AIndex, ACanvas, AEnabled, ASmoothResize, AStretch, NativeDrawingFlags(), ARect);
}

void TcxCustomImageList::DoDraw(int AIndex, TCanvas* ACanvas, int X, int Y, UINT AStyle, bool AEnabled)
{
  DrawImageCore(AIndex, ACanvas, AEnabled, false, false, AStyle, cxRectBounds(X, Y, GetWidth(), GetHeight()));
}

void TcxCustomImageList::DrawImageCore(int AIndex, TCanvas* ACanvas, bool AEnabled, bool ASmoothResize,
                                       bool AStretch, UINT AStyle, const TRect& ARect)
{
  if (cxRectGetWidth(ARect) == GetWidth() && cxRectGetHeight(ARect) == GetHeight())
    AStretch = false;
  const TRect imageRect = AStretch ? ARect : cxRectCenterBox(ARect, GetWidth(), GetHeight());
  const TcxImageDrawMode drawMode = AEnabled ? idmNormal : idmDisabled;
  if (FAlphaBlending) {
    cxDrawImageToDC(ACanvas->GetHandle(), imageRect, ARect, nullptr, true, clNone, nullptr, ASmoothResize, drawMode,
                    AIndex, this, nullptr);
    return;
  }
  if (AStretch) {
    const rtl::TOwnedPtr<TcxBitmap32> glyph = NewBitmap32(GetWidth(), GetHeight());
    inherited::DoDraw(AIndex, glyph->GetCanvas(), 0, 0, AStyle, AEnabled);
    cxDrawImageToDC(ACanvas->GetHandle(), imageRect, ARect, nullptr, true, clNone, nullptr, ASmoothResize,
                    idmNormal, -1, nullptr, glyph.get());
  } else
    inherited::DoDraw(AIndex, ACanvas, imageRect.left, imageRect.top, AStyle, AEnabled);
}

void TcxCustomImageList::DrawOverlay(TCanvas* ACanvas, int X, int Y, int AImageIndex, int AOverlay, bool AEnabled)
{
  if (!HandleAllocated())
    return;
  const UINT flags = ILD_NORMAL | INDEXTOOVERLAYMASK(AOverlay + 1);
  DoDraw(AImageIndex, ACanvas, X, Y, flags, AEnabled);
}

// ---------------------------------------------------------------------------
// Properties and streaming

bool TcxCustomImageList::GetCompressData() const
{
  return FImages->GetCompressData();
}

void TcxCustomImageList::SetCompressData(bool AValue)
{
  FImages->SetCompressData(AValue);
}

int TcxCustomImageList::VectorImageCount() const
{
  int result = 0;
  for (int i = 0; i < FImages->GetCount(); ++i)
    result += IsVectorImage(FImages->GetItem(i)->GetImage());
  return result;
}

bool TcxCustomImageList::HasImageInfoData(rtl::TFiler* AFiler)
{
  rtl::TPersistent* ancestor = AFiler->GetAncestor();
  if (rtl::Is<TCustomImageList>(ancestor))
    return !IsEquals(this, static_cast<TCustomImageList*>(ancestor));
  return GetCount() > 0;
}

void TcxCustomImageList::DefineProperties(rtl::TFiler* AFiler)
{
  // The platform list's own "Bitmap" is written below only when the items
  // would not rebuild the images faithfully anyway.
  rtl::TComponent::DefineProperties(AFiler);
  if (rtl::Is<rtl::TReader>(AFiler) && FFormatVersion == 0)
    SynchronizeImageInfos();
  AFiler->DefineProperty(L"FormatVersion", rtl::TReaderProc::Bind<&TcxCustomImageList::ReadFormatVersion>(this),
                         rtl::TWriterProc::Bind<&TcxCustomImageList::WriteFormatVersion>(this), true);
  AFiler->DefineBinaryProperty(L"Bitmap", rtl::TStreamProc::Bind<&TcxCustomImageList::ReadNativeData>(this),
                               rtl::TStreamProc::Bind<&TcxCustomImageList::WriteNativeData>(this),
                               MulDiv(GetCount(), 1, 3) < VectorImageCount());
  rtl::TPersistent* ancestor = AFiler->GetAncestor();
  const bool designInfoDiffers = !rtl::Is<TcxCustomImageList>(ancestor) ||
                                 static_cast<TcxCustomImageList*>(ancestor)->GetDesignInfo() != GetDesignInfo();
  AFiler->DefineProperty(L"DesignInfo", rtl::TReaderProc::Bind<&TcxCustomImageList::ReadDesignInfo>(this),
                         rtl::TWriterProc::Bind<&TcxCustomImageList::WriteDesignInfo>(this), designInfoDiffers);
  AFiler->DefineProperty(L"ImageInfo", rtl::TReaderProc::Bind<&TcxCustomImageList::ReadImageInfo>(this),
                         rtl::TWriterProc::Bind<&TcxCustomImageList::WriteImageInfo>(this),
                         HasImageInfoData(AFiler));
}

void TcxCustomImageList::Loaded()
{
  inherited::Loaded();
  // A stream of the platform's own list may end with its native images:
  // no later property asks for the items to be made from them.
  if (FFormatVersion == 0 && GetCount() != FImages->GetCount())
    SynchronizeImageInfos();
}

void TcxCustomImageList::ReadFormatVersion(rtl::TReader* AReader)
{
  FFormatVersion = AReader->ReadInteger();
}

void TcxCustomImageList::WriteFormatVersion(rtl::TWriter* AWriter)
{
  AWriter->WriteInteger(kImageListFormatVersion);
}

void TcxCustomImageList::ReadDesignInfo(rtl::TReader* AReader)
{
  SetDesignInfo(AReader->ReadInteger());
}

void TcxCustomImageList::WriteDesignInfo(rtl::TWriter* AWriter)
{
  AWriter->WriteInteger(static_cast<int>(GetDesignInfo()));
}

void TcxCustomImageList::ReadImageInfo(rtl::TReader* AReader)
{
  FImages->Clear();
  AReader->CheckValue(rtl::TValueType::vaCollection);
  AReader->ReadCollection(FImages);
  if (GetCount() != FImages->GetCount())
    SynchronizeHandle();
}

void TcxCustomImageList::WriteImageInfo(rtl::TWriter* AWriter)
{
  AWriter->WriteCollection(FImages);
}

void TcxCustomImageList::ReadNativeData(rtl::TStream* AStream)
{
  ReadData(AStream);
}

void TcxCustomImageList::WriteNativeData(rtl::TStream* AStream)
{
  WriteData(AStream);
}
