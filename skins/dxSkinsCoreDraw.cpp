// The skin element: its data, its drawing, the empty element, borders and
// alternate attributes drawing, the gradient fill and the per-element draw
// cache (part of the unit dxSkinsCore).
#include <algorithm>
#include <string>

#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/cxGraphicsColors.h"
#include "graphics/cxGraphicsDraw.h"
#include "graphics/dxGDIPlusAPI.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "platform/vcl/GraphicsHandles.h"
#include "skins/dxSkinsCore.h"

namespace {

TdxSkinImageSet SkinsImageSet = TdxSkinImageSet::imsDefault;

bool SkinRectHasNoArea(const TRect& R)
{
  return R.right <= R.left || R.bottom <= R.top;
}

// A native image disposed with its scope.
class TdxSkinOwnedGpImage {
 public:
  explicit TdxSkinOwnedGpImage(Gdiplus::GpImage* AImage) noexcept : FImage(AImage) {}
  ~TdxSkinOwnedGpImage()
  {
    if (FImage)
      dxGpFunctions.GdipDisposeImage(FImage);
  }
  TdxSkinOwnedGpImage(const TdxSkinOwnedGpImage&) = delete;
  TdxSkinOwnedGpImage& operator=(const TdxSkinOwnedGpImage&) = delete;
  Gdiplus::GpImage* Get() const noexcept { return FImage; }

 private:
  Gdiplus::GpImage* FImage;
};

// A native graphics on an image, deleted with its scope.
class TdxSkinOwnedGpGraphics {
 public:
  explicit TdxSkinOwnedGpGraphics(Gdiplus::GpImage* AImage)
  {
    dxGpCheck(dxGpFunctions.GdipGetImageGraphicsContext(AImage, &FGraphics));
  }
  ~TdxSkinOwnedGpGraphics()
  {
    if (FGraphics)
      dxGpFunctions.GdipDeleteGraphics(FGraphics);
  }
  TdxSkinOwnedGpGraphics(const TdxSkinOwnedGpGraphics&) = delete;
  TdxSkinOwnedGpGraphics& operator=(const TdxSkinOwnedGpGraphics&) = delete;
  Gdiplus::GpGraphics* Get() const noexcept { return FGraphics; }

 private:
  Gdiplus::GpGraphics* FGraphics = nullptr;
};

void SkinDrawImageRect(Gdiplus::GpGraphics* AGraphics, Gdiplus::GpImage* AImage, const TRect& R)
{
  dxGpCheck(dxGpFunctions.GdipDrawImageRectI(AGraphics, AImage, R.left, R.top, R.right - R.left, R.bottom - R.top));
}

}  // namespace

void dxSkinPaint(HDC DC, const TRect& R, const std::function<void(TdxGPCanvas*)>& AProc)
{
  TdxGPPaintCanvas* canvas = dxGpPaintCanvas();
  // BeginPaint is inside: when it raises it still holds the canvas's lock.
  try {
    canvas->BeginPaint(DC, R);
    AProc(canvas);
  } catch (...) {
    canvas->EndPaint();
    throw;
  }
  canvas->EndPaint();
}

TdxSkinImageSet dxSkinGetImageSet()
{
  return SkinsImageSet;
}

void dxSkinSetImageSet(TdxSkinImageSet AValue)
{
  SkinsImageSet = AValue;
}

TdxSkinElementState dxSkinElementActualState(TdxSkinElement* AElement, TdxSkinElementState AState)
{
  using enum TdxSkinElementState;
  if (AElement->GetStates().Contains(AState))
    return AState;
  switch (AState) {
    case esActive:
    case esActiveDisabled:
      return esHot;
    case esDroppedDown:
    case esChecked:
    case esHotCheck:
    case esCheckPressed:
      return esPressed;
    default:
      return AState;
  }
}

TSize dxSkinElementScaledMinSize(TdxSkinElement* AElement, TdxScaleFactor* AScaleFactor)
{
  if (!AElement)
    return {0, 0};
  const TSize frame = AElement->GetSize();
  const TSize minSize = AElement->GetMinSize()->GetSize();
  const TSize size{std::max(frame.cx, minSize.cx), std::max(frame.cy, minSize.cy)};
  return (AScaleFactor ? AScaleFactor : dxGetSystemScaleFactor())->Apply(size);
}

// ---------------------------------------------------------------------------
// TdxSkinRender

void TdxSkinRender::FillRectByGradient(TdxGPCanvas* ACanvas, const TRect& R, vcl::TColor AColor1,
                                       vcl::TColor AColor2, TdxSkinGradientMode AMode, std::uint8_t AAlpha)
{
  if (!cxIsColorAssigned(AColor1))
    return;
  if (AColor2 == AColor1 || !cxIsColorAssigned(AColor2))
    ACanvas->FillRectangle(R, dxColorToAlphaColor(AColor1, AAlpha));
  else
    ACanvas->FillRectangleByGradient(R, dxColorToAlphaColor(AColor1, AAlpha), dxColorToAlphaColor(AColor2, AAlpha),
                                     static_cast<Gdiplus::LinearGradientMode>(AMode));
}

// ---------------------------------------------------------------------------
// Borders and alternate attributes

void TdxSkinBorder::Draw(HDC DC, const TRect& ABounds)
{
  if (GetColor() != vcl::clNone)
    dxSkinPaint(DC, ABounds, [&](TdxGPCanvas* ACanvas) { DrawEx(ACanvas, ABounds); });
}

void TdxSkinBorder::DrawEx(TdxGPCanvas* ACanvas, const TRect& ABounds)
{
  const vcl::TColor color = GetColor();
  if (color != vcl::clNone)
    ACanvas->FillRectangle(StripOf(ABounds), dxColorToAlphaColor(color, 255));
}

void TdxSkinBorders::Draw(TdxGPCanvas* ACanvas, const TRect& ABounds)
{
  for (TdxSkinBorder* border : FBorders)
    border->DrawEx(ACanvas, ABounds);
}

void TdxSkinAlternateImageAttributes::Draw(TdxGPCanvas* ACanvas, const TRect& R)
{
  TRect content = cxRectDeflateByMargins(R, FContentOffsets->GetRect());
  TdxSkinRender::FillRectByGradient(ACanvas, content, FGradientBeginColor.GetValue(), FGradientEndColor.GetValue(),
                                    FGradient, FAlpha);
  FBorders->Draw(ACanvas, content);
  content = cxRectDeflateByMargins(content, FBorders->GetContentMargins());
  FBordersInner->Draw(ACanvas, content);
}

// ---------------------------------------------------------------------------
// TdxSkinElement: data

void TdxSkinElement::Create(rtl::TPersistent* AOwner, const rtl::String& AName)
{
  inherited::Create(AOwner, AName);
  FAlpha = 255;
  FAlternateImageSetDirty = true;
  FCacheCapacity = 8;
  FBorders = rtl::New<TdxSkinBorders>(static_cast<rtl::TPersistent*>(this), rtl::String(L"Borders"));
  FBorders->SetOnChange(TdxSkinChangeNotify::Bind<&TdxSkinElement::BordersChanged>(this));
  FColor.Create(this, vcl::clDefault);
  FTextColor.Create(this, vcl::clDefault);
  const rtl::TNotifyEvent partHandler = rtl::TNotifyEvent::Bind<&TdxSkinElement::PartChanged>(this);
  FContentOffset = rtl::New<TcxRect>(static_cast<rtl::TPersistent*>(this));
  FContentOffset->SetOnChange(partHandler);
  FGlyph = rtl::New<TdxSkinImage>(this);
  FGlyph->SetOnChange(partHandler);
  FImage = rtl::New<TdxSkinImage>(this);
  FImage->SetOnChange(partHandler);
  FMinSize = rtl::NewWith<TcxSize>([&](TcxSize* ASize) { ASize->Create(this, 0, 0); });
  FMinSize->SetOnChange(partHandler);
}

void TdxSkinElement::Destroy()
{
  SetUseCache(false);
  rtl::FreeAndNil(FMinSize);
  rtl::FreeAndNil(FContentOffset);
  rtl::FreeAndNil(FImage);
  rtl::FreeAndNil(FGlyph);
  rtl::FreeAndNil(FBorders);
  inherited::Destroy();
}

void TdxSkinElement::DoAssign(rtl::TPersistent* ASource)
{
  if (rtl::Is<TdxSkinElement>(ASource)) {
    auto* source = static_cast<TdxSkinElement*>(ASource);
    FImage->Assign(source->FImage);
    FGlyph->Assign(source->FGlyph);
    SetAlpha(source->FAlpha);
    FContentOffset->Assign(source->FContentOffset);
    FBorders->Assign(source->FBorders);
    FMinSize->Assign(source->FMinSize);
    FColor.Assign(source->FColor);
    FTextColor.Assign(source->FTextColor);
    SetUseCache(source->GetUseCache());
  }
  inherited::DoAssign(ASource);
}

void TdxSkinElement::DoChanged(TdxSkinChanges AChanges)
{
  if (FCache)
    FCache->Flush();
  if (AChanges.Contains(TdxSkinChange::scStruct))
    FAlternateImageSetDirty = true;
  inherited::DoChanged(AChanges);
}

void TdxSkinElement::FlushCache()
{
  inherited::FlushCache();
  FColor.FlushCache();
  FTextColor.FlushCache();
  FImage->FlushCache();
  FGlyph->FlushCache();
  FBorders->FlushCache();
  if (FCache)
    FCache->Flush();
}

bool TdxSkinElement::Compare(TdxSkinElement* AElement)
{
  return AElement && rtl::SameText(GetName(), AElement->GetName()) && GetColor() == AElement->GetColor() &&
         FAlpha == AElement->FAlpha && GetTextColor() == AElement->GetTextColor() &&
         FMinSize->IsEqual(AElement->FMinSize) && FContentOffset->IsEqual(AElement->FContentOffset) &&
         FBorders->Compare(AElement->FBorders) && FProperties->Compare(AElement->FProperties) &&
         FImage->Compare(AElement->FImage) && FGlyph->Compare(AElement->FGlyph);
}

TSize TdxSkinElement::CalculateMinSize()
{
  TSize result = FMinSize->GetSize();
  const auto enlarge = [&](TdxSkinImage* AImage) {
    if (AImage->GetStretch() == TdxSkinStretchMode::smNoResize) {
      const TSize size = AImage->GetSize();
      result = {std::max(result.cx, size.cx), std::max(result.cy, size.cy)};
    }
  };
  enlarge(FImage);
  enlarge(FGlyph);
  return result;
}

vcl::TColor TdxSkinElement::GetTextColor(TcxButtonState AState, const rtl::String& APropertyPrefix)
{
  static constexpr const wchar_t* Names[] = {nullptr, L"TextColor", L"TextColorHot", L"TextColorPressed",
                                             L"TextColorDisabled"};
  vcl::TColor candidate = vcl::clDefault;
  if (const wchar_t* name = Names[AState]) {
    if (TdxSkinProperty* property = GetPropertyByName(APropertyPrefix + name))
      candidate = rtl::As<TdxSkinColor>(property)->GetValue();
  }
  if (candidate != vcl::clDefault)
    return candidate;
  if (AState == TcxButtonState::cxbsNormal)
    return GetTextColor();
  return GetTextColor(TcxButtonState::cxbsNormal, APropertyPrefix);
}

void TdxSkinElement::Dormant()
{
  if (FCache)
    FCache->Flush();
  FImage->Dormant();
  FGlyph->Dormant();
}

rtl::IPtr<IdxColorPalette> TdxSkinElement::GetGlyphColorPalette(TdxSkinElementState AState)
{
  if (rtl::IPtr<IdxColorPalette> palette = FGlyph->GetColorPalette(AState, false))
    return palette;
  for (rtl::TPersistent* owner = FOwner; owner; owner = owner->GetOwner())
    if (rtl::Is<TdxSkin>(owner))
      return static_cast<TdxSkin*>(owner)->GetDefaultGlyphColorPalette(AState);
  return {};
}

void TdxSkinElement::SetStateMapping(std::span<const TdxSkinElementState> AStateOrder)
{
  FImage->SetStateMapping(AStateOrder);
  FGlyph->SetStateMapping(AStateOrder);
}

void TdxSkinElement::SetAlpha(std::uint8_t AValue)
{
  if (AValue != FAlpha) {
    FAlpha = AValue;
    Changed({TdxSkinChange::scContent});
  }
}

void TdxSkinElement::SetBorders(TdxSkinBorders* AValue)
{
  FBorders->Assign(AValue);
}

void TdxSkinElement::SetContentOffset(TcxRect* AValue)
{
  FContentOffset->Assign(AValue);
}

void TdxSkinElement::SetGlyph(TdxSkinImage* AValue)
{
  FGlyph->Assign(AValue);
}

void TdxSkinElement::SetImage(TdxSkinImage* AValue)
{
  FImage->Assign(AValue);
}

void TdxSkinElement::SetMinSize(TcxSize* AValue)
{
  FMinSize->Assign(AValue);
}

int TdxSkinElement::GetImageCount() const
{
  return FImage->GetImageCount();
}

TdxSkinElementStates TdxSkinElement::GetStates() const
{
  return FImage->GetStates();
}

TSize TdxSkinElement::GetSize()
{
  return FImage->GetSize();
}

TdxSkinControlGroup* TdxSkinElement::GetGroup()
{
  return rtl::As<TdxSkinControlGroup>(static_cast<rtl::TObject*>(FOwner));
}

rtl::String TdxSkinElement::GetPath()
{
  TdxSkinControlGroup* group = GetGroup();
  return group ? group->GetName() + L"\\" : rtl::String();
}

void TdxSkinElement::SetUseCache(bool AValue)
{
  if (AValue && !FCache)
    FCache = rtl::New<TdxSkinElementCacheList>(FCacheCapacity);
  else if (!AValue)
    rtl::FreeAndNil(FCache);
}

void TdxSkinElement::SetCacheCapacity(int AValue)
{
  FCacheCapacity = std::max(AValue, 1);
  if (FCache)
    FCache->SetCapacity(FCacheCapacity);
}

void TdxSkinElement::PartChanged(rtl::TObject*)
{
  Changed({TdxSkinChange::scContent});
}

void TdxSkinElement::BordersChanged(rtl::TObject*, TdxSkinChanges AChanges)
{
  Changed(AChanges);
}

// ---------------------------------------------------------------------------
// TdxSkinElement: alternate attributes

TdxSkinAlternateImageAttributes* TdxSkinElement::AddAlternateImageAttributes(TdxSkinElementState AState,
                                                                             int AImageIndex)
{
  return static_cast<TdxSkinAlternateImageAttributes*>(
      AddProperty(L"AlternateImage" + std::to_wstring(AImageIndex + 1) + dxSkinElementStateName(AState),
                  TdxSkinPropertyClass::Of<TdxSkinAlternateImageAttributes>()));
}

bool TdxSkinElement::UseAlternateImageSet(int AImageIndex, TdxSkinElementState AState,
                                          TdxSkinAlternateImageAttributes*& AAttributes, bool ALowColors)
{
  const TdxSkinImageSet imageSet = dxSkinGetImageSet();
  if (!FImage->Empty() && imageSet != TdxSkinImageSet::imsAlternate &&
      !(ALowColors && imageSet == TdxSkinImageSet::imsDefault))
    return false;
  FImage->CheckFrame(AImageIndex, AState);
  if (FAlternateImageSetDirty || FAlternateImageSetIndex != AImageIndex) {
    const rtl::String prefix = L"AlternateImage" + std::to_wstring(AImageIndex + 1);
    for (int state = 0; state < dxSkinElementStateCount; ++state) {
      TdxSkinProperty* property =
          GetPropertyByName(prefix + dxSkinElementStateName(static_cast<TdxSkinElementState>(state)));
      FAlternateImageSet[state] = rtl::Is<TdxSkinAlternateImageAttributes>(property)
                                      ? static_cast<TdxSkinAlternateImageAttributes*>(property)
                                      : nullptr;
    }
    FAlternateImageSetIndex = AImageIndex;
    FAlternateImageSetDirty = false;
  }
  // A negative index names no attributes.
  AAttributes = AState < dxSkinElementStateCount ? FAlternateImageSet[AState] : nullptr;
  return AAttributes != nullptr;
}

// ---------------------------------------------------------------------------
// TdxSkinElement: drawing

void TdxSkinElement::Draw(HDC DC, const TRect& ARect, TdxScaleFactor* AScaleFactor, int AImageIndex,
                          TdxSkinElementState AState)
{
  if (SkinRectHasNoArea(ARect) || !RectVisible(DC, &ARect))
    return;
  if (FCache)
    FCache->DrawElement(DC, this, ARect, AScaleFactor, AState, AImageIndex);
  else
    dxSkinPaint(DC, ARect,
                [&](TdxGPCanvas* ACanvas) { DrawEx(ACanvas, ARect, AScaleFactor, AImageIndex, AState); });
}

void TdxSkinElement::Draw(HDC DC, const TRect& ARect, int AImageIndex, TdxSkinElementState AState)
{
  Draw(DC, ARect, dxGetSystemScaleFactor(), AImageIndex, AState);
}

void TdxSkinElement::DrawEx(TdxGPCanvas* ACanvas, const TRect& ARect, int AImageIndex, TdxSkinElementState AState)
{
  DrawEx(ACanvas, ARect, dxGetSystemScaleFactor(), AImageIndex, AState);
}

void TdxSkinElement::DrawEx(TdxGPCanvas* ACanvas, const TRect& ARect, TdxScaleFactor* AScaleFactor, int AImageIndex,
                            TdxSkinElementState AState)
{
  const TdxAlphaColor fill = dxColorToAlphaColor(GetColor(), FAlpha);
  // clNone and clDefault become transparent colours: nothing to fill.
  if (fill >> 24 != 0)
    ACanvas->FillRectangle(ARect, fill);
  DrawBody(ACanvas, ARect, AScaleFactor, AImageIndex, AState);
  FBorders->Draw(ACanvas, ARect);
  FGlyph->DrawEx(ACanvas, cxRectDeflateByMargins(ARect, FContentOffset->GetRect()), AScaleFactor, AImageIndex,
                 AState);
}

void TdxSkinElement::DrawBody(TdxGPCanvas* ACanvas, const TRect& ARect, TdxScaleFactor* AScaleFactor, int AImageIndex,
                              TdxSkinElementState AState)
{
  TdxSkinAlternateImageAttributes* attributes = nullptr;
  if (UseAlternateImageSet(AImageIndex, AState, attributes, ACanvas->GetIsLowColorsMode()))
    attributes->Draw(ACanvas, ARect);
  else
    FImage->DrawEx(ACanvas, ARect, AScaleFactor, AImageIndex, AState);
}

void TdxSkinElement::DrawRTL(HDC DC, const TRect& ARect, TdxScaleFactor* AScaleFactor, int AImageIndex,
                             TdxSkinElementState AState)
{
  if (SkinRectHasNoArea(ARect) || !RectVisible(DC, &ARect))
    return;
  dxSkinPaint(DC, ARect, [&](TdxGPCanvas* ACanvas) {
    dxGpPaintMirrored(ACanvas, ARect, true, [&] {
      if (FCache)
        FCache->DrawElement(ACanvas, this, ARect, AScaleFactor, AState, AImageIndex);
      else
        DrawEx(ACanvas, ARect, AScaleFactor, AImageIndex, AState);
    });
  });
}

TdxSmartImage* TdxSkinElement::GetImage(int AImageIndex, TSize ASize, TdxScaleFactor* AScaleFactor,
                                        TdxSkinElementState AState)
{
  if (ASize.cx == 0 || ASize.cy == 0)
    ASize = AScaleFactor->Apply(CalculateMinSize());
  rtl::TOwnedPtr<TdxSmartImage> result(rtl::New<TdxSmartImage>());
  result->CreateSize(ASize, 0);
  rtl::TOwnedPtr<TdxGPCanvas> canvas(result->CreateCanvas());
  DrawEx(canvas.get(), result->ClientRect(), AScaleFactor, AImageIndex, AState);
  canvas.reset();
  return result.release();
}

TdxSmartImage* TdxSkinElement::GetImage(int AImageIndex, const TSize& ASize, TdxSkinElementState AState)
{
  return GetImage(AImageIndex, ASize, dxGetSystemScaleFactor(), AState);
}

bool TdxSkinElement::IsAlphaUsed()
{
  if (!FImage->Empty())
    return !cxIsColorAssigned(GetColor()) && FImage->GetTexture()->IsAlphaUsed();
  return !(cxIsColorAssigned(GetColor()) && FAlpha == 255);
}

void TdxSkinEmptyElement::Draw(HDC DC, const TRect& ARect, TdxScaleFactor*, int, TdxSkinElementState)
{
  FillRect(DC, &ARect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const vcl::TOwnedBrush frame(CreateSolidBrush(RGB(255, 0, 0)));
  FrameRect(DC, &ARect, frame.Get());
}

// ---------------------------------------------------------------------------
// TdxSkinElementCache

void TdxSkinElementCache::Create()
{
  FScaleFactor = rtl::New<TdxScaleFactor>();
}

void TdxSkinElementCache::Destroy()
{
  FreeBitmaps();
  rtl::FreeAndNil(FScaleFactor);
  inherited::Destroy();
}

void TdxSkinElementCache::FreeBitmaps()
{
  if (FCache) {
    dxGpFunctions.GdipDisposeImage(FCache);
    FCache = nullptr;
  }
  rtl::FreeAndNil(FCacheOpaque);
}

void TdxSkinElementCache::CheckCacheState(TdxSkinElement* AElement, const TRect& R, TdxScaleFactor* AScaleFactor,
                                          TdxSkinElementState AState, int AImageIndex)
{
  const int width = R.right - R.left;
  const int height = R.bottom - R.top;
  if (FElement == AElement && FState == AState && FImageIndex == AImageIndex && FImageSet == dxSkinGetImageSet() &&
      FRect.right - FRect.left == width && FRect.bottom - FRect.top == height && FScaleFactor->Equals(AScaleFactor))
    return;
  FElement = AElement;
  FState = AState;
  FImageIndex = AImageIndex;
  FImageSet = dxSkinGetImageSet();
  FRect = R;
  FScaleFactor->Assign(AScaleFactor);
  FreeBitmaps();
  if (!SkinRectHasNoArea(R))
    Render();
}

void TdxSkinElementCache::Render()
{
  const TRect bounds{0, 0, FRect.right - FRect.left, FRect.bottom - FRect.top};
  TdxGPPaintCanvas* canvas = dxGpPaintCanvas();
  const auto paint = [&](auto ABegin) {
    try {
      ABegin();
      FElement->DrawEx(canvas, bounds, FScaleFactor, FImageIndex, FState);
    } catch (...) {
      canvas->EndPaint();
      throw;
    }
    canvas->EndPaint();
  };
  if (FElement->IsAlphaUsed()) {
    FCache = dxGpCreateBitmapForRect(bounds);
    TdxSkinOwnedGpGraphics graphics(FCache);
    paint([&] { canvas->BeginPaint(graphics.Get()); });
  } else {
    FCacheOpaque = rtl::NewWith<TcxBitmap>([&](TcxBitmap* ABitmap) { ABitmap->CreateSize(bounds, vcl::TPixelFormat::pf32bit); });
    paint([&] { canvas->BeginPaint(FCacheOpaque->GetCanvas()->GetHandle(), bounds); });
  }
  ++FRenderCount;
}

void TdxSkinElementCache::Draw(HDC DC, const TRect& R)
{
  if (FCacheOpaque)
    cxBlitRect(DC, FCacheOpaque->GetCanvas()->GetHandle(), R, TPoint{0, 0}, SRCCOPY);
  else if (FCache)
    dxSkinPaint(DC, R, [&](TdxGPCanvas* ACanvas) { SkinDrawImageRect(ACanvas->Handle(), FCache, R); });
}

void TdxSkinElementCache::Draw(TdxGPCanvas* ACanvas, const TRect& R)
{
  if (FCacheOpaque) {
    Gdiplus::GpBitmap* bitmap = nullptr;
    dxGpCheck(dxGpFunctions.GdipCreateBitmapFromHBITMAP(FCacheOpaque->GetHandle(), nullptr, &bitmap));
    const TdxSkinOwnedGpImage image(bitmap);
    SkinDrawImageRect(ACanvas->Handle(), image.Get(), R);
  } else if (FCache) {
    SkinDrawImageRect(ACanvas->Handle(), FCache, R);
  }
}

void TdxSkinElementCache::DrawEx(HDC DC, TdxSkinElement* AElement, const TRect& R, TdxScaleFactor* AScaleFactor,
                                 TdxSkinElementState AState, int AImageIndex)
{
  CheckCacheState(AElement, R, AScaleFactor, AState, AImageIndex);
  Draw(DC, R);
}

void TdxSkinElementCache::DrawEx(TdxGPCanvas* ACanvas, TdxSkinElement* AElement, const TRect& R,
                                 TdxScaleFactor* AScaleFactor, TdxSkinElementState AState, int AImageIndex)
{
  CheckCacheState(AElement, R, AScaleFactor, AState, AImageIndex);
  Draw(ACanvas, R);
}

void TdxSkinElementCache::Flush()
{
  FElement = nullptr;
  FScaleFactor->Assign(1, 1, false);
  FRect = TRect{0, 0, 0, 0};
  FreeBitmaps();
}

// ---------------------------------------------------------------------------
// TdxSkinElementCacheList

void TdxSkinElementCacheList::Create(int ACapacity)
{
  FCapacity = std::max(ACapacity, 1);
  FData = rtl::New<rtl::TObjectList>(true);
}

void TdxSkinElementCacheList::Destroy()
{
  rtl::FreeAndNil(FData);
  inherited::Destroy();
}

TdxSkinElementCache* TdxSkinElementCacheList::GetEntry(int AIndex) const
{
  return static_cast<TdxSkinElementCache*>(FData->GetItem(AIndex));
}

TdxSkinElementCache* TdxSkinElementCacheList::FindEntry(TdxSkinElement* AElement, const TRect& R,
                                                        TdxSkinElementState AState, int AImageIndex)
{
  const auto sameSize = [&](TdxSkinElementCache* AEntry) {
    const TRect& stored = AEntry->GetRect();
    return stored.right - stored.left == R.right - R.left && stored.bottom - stored.top == R.bottom - R.top;
  };
  for (int i = 0; i < GetCount(); ++i) {
    TdxSkinElementCache* entry = GetEntry(i);
    if (entry->GetElement() == AElement && entry->GetImageIndex() == AImageIndex && entry->GetState() == AState &&
        sameSize(entry))
      return entry;
  }
  for (int i = 0; i < GetCount(); ++i) {
    TdxSkinElementCache* entry = GetEntry(i);
    if (entry->GetElement() == AElement && sameSize(entry))
      return entry;
  }
  if (GetCount() >= FCapacity) {
    FData->Move(0, GetCount() - 1);
    return GetEntry(GetCount() - 1);
  }
  auto* entry = rtl::New<TdxSkinElementCache>();
  FData->Add(entry);
  return entry;
}

void TdxSkinElementCacheList::DrawElement(HDC DC, TdxSkinElement* AElement, const TRect& R,
                                          TdxScaleFactor* AScaleFactor, TdxSkinElementState AState, int AImageIndex)
{
  FindEntry(AElement, R, AState, AImageIndex)->DrawEx(DC, AElement, R, AScaleFactor, AState, AImageIndex);
}

void TdxSkinElementCacheList::DrawElement(TdxGPCanvas* ACanvas, TdxSkinElement* AElement, const TRect& R,
                                          TdxScaleFactor* AScaleFactor, TdxSkinElementState AState, int AImageIndex)
{
  FindEntry(AElement, R, AState, AImageIndex)->DrawEx(ACanvas, AElement, R, AScaleFactor, AState, AImageIndex);
}

void TdxSkinElementCacheList::DrawElement(HDC DC, TdxSkinElement* AElement, const TRect& R,
                                          TdxSkinElementState AState, int AImageIndex)
{
  DrawElement(DC, AElement, R, dxGetSystemScaleFactor(), AState, AImageIndex);
}

void TdxSkinElementCacheList::Flush()
{
  FData->Clear();
}

void TdxSkinElementCacheList::SetCapacity(int AValue)
{
  FCapacity = std::max(AValue, 1);
  while (GetCount() > FCapacity)
    FData->Delete(0);
}
