// TdxSkinImage: frames, nine-part geometry and drawing (part of the unit
// dxSkinsCore).
#include <algorithm>

#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "graphics/dxGDIPlusClassesImages.h"
#include "platform/rtl/ClassesStreams.h"
#include "skins/dxSkinsCore.h"

namespace {

bool SkinImageRectIsEmpty(const TRect& R)
{
  return R.right <= R.left || R.bottom <= R.top;
}

rtl::String SkinImageChangeExt(const rtl::String& AFileName, const wchar_t* AExt)
{
  const std::size_t dot = AFileName.find_last_of(L".\\/:");
  if (dot != rtl::String::npos && AFileName[dot] == L'.')
    return AFileName.substr(0, dot) + AExt;
  return AFileName + AExt;
}

// Puts the canvas's interpolation and pixel-offset modes back on every path.
class TdxSkinImageCanvasModes {
 public:
  explicit TdxSkinImageCanvasModes(TdxGPCanvas* ACanvas)
      : FCanvas(ACanvas), FInterpolation(ACanvas->GetInterpolationMode()), FPixelOffset(ACanvas->GetPixelOffsetMode())
  {
  }
  ~TdxSkinImageCanvasModes()
  {
    FCanvas->SetPixelOffsetMode(FPixelOffset);
    FCanvas->SetInterpolationMode(FInterpolation);
  }
  TdxSkinImageCanvasModes(const TdxSkinImageCanvasModes&) = delete;
  TdxSkinImageCanvasModes& operator=(const TdxSkinImageCanvasModes&) = delete;

 private:
  TdxGPCanvas* FCanvas;
  TdxGPInterpolationMode FInterpolation;
  Gdiplus::PixelOffsetMode FPixelOffset;
};

}  // namespace

TdxSkinElementPartBounds dxSkinCalculateNineParts(const TRect& R, const TRect& M)
{
  const int x1 = std::min<int>(R.left + M.left, R.right);
  const int y1 = std::min<int>(R.top + M.top, R.bottom);
  const int x2 = std::max<int>(R.right - M.right, R.left);
  const int y2 = std::max<int>(R.bottom - M.bottom, R.top);
  return {TRect{R.left, R.top, x1, y1}, TRect{x1, R.top, x2, y1},       TRect{x2, R.top, R.right, y1},
          TRect{R.left, y1, x1, y2},    TRect{x1, y1, x2, y2},          TRect{x2, y1, R.right, y2},
          TRect{R.left, y2, x1, R.bottom}, TRect{x1, y2, x2, R.bottom}, TRect{x2, y2, R.right, R.bottom}};
}

TRect dxSkinFitMarginsToSize(const TRect& AMargins, const TSize& ASize)
{
  const auto fitPair = [](LONG& A, LONG& B, int AExtent) {
    A = std::max<LONG>(A, 0);
    B = std::max<LONG>(B, 0);
    const int sum = A + B;
    if (sum - AExtent >= 1) {
      const int excess = sum - AExtent;
      A -= MulDiv(A, excess, sum);
      B -= MulDiv(B, excess, sum);
    }
  };
  TRect result = AMargins;
  fitPair(result.left, result.right, ASize.cx);
  fitPair(result.top, result.bottom, ASize.cy);
  return result;
}

// ---------------------------------------------------------------------------
// TdxSkinImage

void TdxSkinImage::Create(TdxSkinElement* AOwner)
{
  FOwner = AOwner;
  FColorPalettes = rtl::NewWith<TdxSkinColorPalettes>([&](TdxSkinColorPalettes* APalettes) {
    APalettes->Create(this, rtl::String(L"ColorPalettes"));
    APalettes->SetDefaultColorClass(TdxSkinColorClass::Of<TdxSkinAlphaColor>());
  });
  FColorPalettes->SetOnChange(TdxSkinChangeNotify::Bind<&TdxSkinImage::PalettesChanged>(this));
  FGradientBeginColor.Create(AOwner, vcl::clNone);
  FGradientEndColor.Create(AOwner, vcl::clNone);
  FImageCount = 1;
  FIsDirty = true;
  FMargins = rtl::NewWith<TcxMargin>([&](TcxMargin* AMargin) { AMargin->Create(this, 0); });
  FMargins->SetOnChange(rtl::TNotifyEvent::Bind<&TdxSkinImage::PartChanged>(this));
  FStates = {TdxSkinElementState::esNormal};
  FTexture = CreateTexture();
  FTexture->SetOnChange(rtl::TNotifyEvent::Bind<&TdxSkinImage::TextureChanged>(this));
  FTextureIsVector = TdxDefaultBoolean::bDefault;
}

void TdxSkinImage::Destroy()
{
  rtl::FreeAndNil(FColorPalettes);
  rtl::FreeAndNil(FMargins);
  if (FTexture)
    FTexture->SetOnChange(nullptr);
  rtl::FreeAndNil(FTexture);
  inherited::Destroy();
}

TdxSmartImage* TdxSkinImage::CreateTexture()
{
  return rtl::New<TdxSmartImage>();
}

rtl::TPersistent* TdxSkinImage::GetOwner()
{
  return FOwner;
}

void TdxSkinImage::Assign(rtl::TPersistent* ASource)
{
  if (!rtl::Is<TdxSkinImage>(ASource)) {
    inherited::Assign(ASource);
    return;
  }
  auto* source = static_cast<TdxSkinImage*>(ASource);
  if (source->Empty()) {
    Clear();
  } else {
    FTexture->Assign(source->FTexture);
    FSourceName = source->FSourceName;
  }
  FColorPalettes->Assign(source->FColorPalettes);
  FGradientBeginColor.Assign(source->FGradientBeginColor);
  FGradientEndColor.Assign(source->FGradientEndColor);
  SetGradient(source->FGradient);
  SetImageCount(source->FImageCount);
  SetImageLayout(source->FImageLayout);
  FMargins->Assign(source->FMargins);
  FScaleMargins = source->FScaleMargins;
  SetStretch(source->FStretch);
  SetStates(source->FStates);
  SetInterpolationMode(source->FInterpolationMode);
}

void TdxSkinImage::Clear()
{
  if (!FSourceName.empty() || !FTexture->GetEmpty()) {
    FSourceName.clear();
    FTexture->Clear();
    Changed();
  }
}

bool TdxSkinImage::Compare(TdxSkinImage* AImage)
{
  const TSize size = GetSize();
  const TSize otherSize = AImage->GetSize();
  return FImageLayout == AImage->FImageLayout && Empty() == AImage->Empty() && FStates == AImage->FStates &&
         FGradient == AImage->FGradient && FStretch == AImage->FStretch && size.cx == otherSize.cx &&
         size.cy == otherSize.cy && FColorPalettes->Compare(AImage->FColorPalettes) &&
         FMargins->IsEqual(AImage->FMargins) && FTexture->Compare(AImage->FTexture) &&
         FGradientBeginColor.Equals(AImage->FGradientBeginColor) && FGradientEndColor.Equals(AImage->FGradientEndColor);
}

void TdxSkinImage::Dormant()
{
  FTexture->Dormant();
}

void TdxSkinImage::FlushCache()
{
  FGradientBeginColor.FlushCache();
  FGradientEndColor.FlushCache();
  FColorPalettes->FlushCache();
}

void TdxSkinImage::Changed()
{
  FIsDirty = true;
  if (FOnChange)
    FOnChange(this);
}

bool TdxSkinImage::Empty()
{
  return FSourceName.empty() && FTexture->GetEmpty();
}

bool TdxSkinImage::IsVector()
{
  if (FTextureIsVector == TdxDefaultBoolean::bDefault)
    FTextureIsVector = rtl::Supports<IdxVectorImage>(FTexture) ? TdxDefaultBoolean::bTrue : TdxDefaultBoolean::bFalse;
  return FTextureIsVector == TdxDefaultBoolean::bTrue;
}

void TdxSkinImage::CheckGeometry()
{
  if (FIsDirty)
    CalculateGeometry();
}

void TdxSkinImage::CalculateGeometry()
{
  FIsDirty = false;
  FPartsBoundsSourceSize = {0, 0};
  FStateCount = 0;
  for (int state = 0; state < dxSkinElementStateCount; ++state)
    FStateCount += FStates.Contains(static_cast<TdxSkinElementState>(state)) ? 1 : 0;
  FSize = FTexture->GetEmpty() ? TSize{0, 0} : FTexture->GetSize();
  const int divisor = IsVector() ? FImageCount : FStateCount * FImageCount;
  if (divisor >= 1) {
    if (FImageLayout == TdxSkinImageLayout::ilHorizontal)
      FSize.cx /= divisor;
    else
      FSize.cy /= divisor;
  }
  CalculatePartsBounds(FSize);
}

void TdxSkinImage::CalculatePartsBounds(const TSize& AFrameSize)
{
  if (AFrameSize.cx == FPartsBoundsSourceSize.cx && AFrameSize.cy == FPartsBoundsSourceSize.cy)
    return;
  FPartsBoundsSourceSize = AFrameSize;
  FPartsBounds = dxSkinCalculateNineParts(TRect{0, 0, AFrameSize.cx, AFrameSize.cy}, FMargins->GetMargin());
  for (std::size_t i = 0; i < FPartsBounds.size(); ++i)
    FPartsVisibility[i] = !SkinImageRectIsEmpty(FPartsBounds[i]);
  TSize step{0, 0};
  if (!IsVector())
    step = FImageLayout == TdxSkinImageLayout::ilHorizontal ? TSize{AFrameSize.cx, 0} : TSize{0, AFrameSize.cy};
  TRect bounds{0, 0, AFrameSize.cx, AFrameSize.cy};
  for (int state = 0; state < dxSkinElementStateCount; ++state) {
    if (FStates.Contains(static_cast<TdxSkinElementState>(state))) {
      FStateBounds[state] = bounds;
      OffsetRect(&bounds, step.cx, step.cy);
    } else {
      FStateBounds[state] = TRect{0, 0, 0, 0};
    }
  }
}

TSize TdxSkinImage::GetSize()
{
  CheckGeometry();
  return FSize;
}

int TdxSkinImage::GetStateCount()
{
  CheckGeometry();
  return FStateCount;
}

TRect TdxSkinImage::GetStateBounds(int AImageIndex, TdxSkinElementState AState)
{
  CheckGeometry();
  TRect result = FStateBounds[AState];
  if (AImageIndex > 0) {
    const int frames = AImageIndex * (IsVector() ? 1 : FStateCount);
    if (FImageLayout == TdxSkinImageLayout::ilHorizontal)
      OffsetRect(&result, frames * FPartsBoundsSourceSize.cx, 0);
    else
      OffsetRect(&result, 0, frames * FPartsBoundsSourceSize.cy);
  }
  return result;
}

void TdxSkinImage::CheckFrame(int& AImageIndex, TdxSkinElementState& AState) const
{
  AImageIndex = std::min(AImageIndex, FImageCount - 1);
  if (!FStates.Contains(AState) && !FStates.Empty()) {
    for (int state = 0; state < dxSkinElementStateCount; ++state)
      if (FStates.Contains(static_cast<TdxSkinElementState>(state))) {
        AState = static_cast<TdxSkinElementState>(state);
        break;
      }
  }
}

rtl::String TdxSkinImage::GetName()
{
  if (!FOwner || Empty())
    return {};
  return FOwner->GetName() + (FOwner->GetGlyph() == this ? L"_Glyph" : L"_Image") + (IsVector() ? L".svg" : L".png");
}

rtl::String TdxSkinImage::GetSourceName()
{
  if (FSourceName.empty() && FOwner && !Empty())
    return FOwner->GetPath() + GetName();
  return FSourceName;
}

void TdxSkinImage::SetGradient(TdxSkinGradientMode AValue)
{
  if (AValue != FGradient) {
    FGradient = AValue;
    Changed();
  }
}

void TdxSkinImage::SetImageCount(int AValue)
{
  AValue = std::max(AValue, 1);
  if (AValue != FImageCount) {
    FImageCount = AValue;
    Changed();
  }
}

void TdxSkinImage::SetImageLayout(TdxSkinImageLayout AValue)
{
  if (AValue != FImageLayout) {
    FImageLayout = AValue;
    Changed();
  }
}

void TdxSkinImage::SetInterpolationMode(TdxGPInterpolationMode AValue)
{
  if (AValue != FInterpolationMode) {
    FInterpolationMode = AValue;
    Changed();
  }
}

void TdxSkinImage::SetStates(TdxSkinElementStates AValue)
{
  if (AValue != FStates) {
    FStates = AValue;
    Changed();
  }
}

void TdxSkinImage::SetStretch(TdxSkinStretchMode AValue)
{
  if (AValue != FStretch) {
    FStretch = AValue;
    Changed();
  }
}

void TdxSkinImage::TextureChanged(rtl::TObject*)
{
  FTextureIsVector = TdxDefaultBoolean::bDefault;
  Changed();
}

void TdxSkinImage::PartChanged(rtl::TObject*)
{
  Changed();
}

void TdxSkinImage::PalettesChanged(rtl::TObject*, TdxSkinChanges)
{
  Changed();
}

// ---------------------------------------------------------------------------
// Files and streams

void TdxSkinImage::LoadFromFile(const rtl::String& AFileName)
{
  rtl::TOwnedPtr<rtl::TFileStream> stream(rtl::New<rtl::TFileStream>(AFileName, rtl::fmOpenRead | rtl::fmShareDenyNone));
  FSourceName = AFileName;
  FTexture->LoadFromStream(stream.get());
}

void TdxSkinImage::LoadFromResource(HINSTANCE AInstance, const rtl::String& AName, const wchar_t* AType)
{
  FTexture->LoadFromResource(AInstance, AName, AType);
}

void TdxSkinImage::LoadFromStream(rtl::TStream* AStream)
{
  FTexture->LoadFromStream(AStream);
}

void TdxSkinImage::SaveToFile(const rtl::String& AFileName)
{
  if (Empty())
    return;
  FSourceName = SkinImageChangeExt(AFileName, IsVector() ? L".svg" : L".png");
  rtl::TOwnedPtr<rtl::TFileStream> stream(rtl::New<rtl::TFileStream>(FSourceName, rtl::fmCreate));
  SaveToStream(stream.get());
}

// ---------------------------------------------------------------------------
// Palettes

rtl::IPtr<IdxColorPalette> TdxSkinImage::GetColorPalette(TdxSkinElementState AState, bool AUseSkinPalette)
{
  TdxSkinProperty* palette = nullptr;
  if ((FColorPalettes->Find(dxSkinElementStateName(AState), palette) ||
       (AState != TdxSkinElementState::esNormal && FColorPalettes->Find(L"Normal", palette))) &&
      rtl::Is<TdxSkinColorPalette>(palette))
    return rtl::IPtr<IdxColorPalette>(static_cast<TdxSkinColorPalette*>(palette));
  if (AUseSkinPalette && FOwner)
    for (rtl::TPersistent* owner = FOwner->GetOwner(); owner; owner = owner->GetOwner())
      if (rtl::Is<TdxSkin>(owner))
        return rtl::IPtr<IdxColorPalette>(static_cast<IdxColorPalette*>(static_cast<TdxSkin*>(owner)));
  return {};
}

// ---------------------------------------------------------------------------
// Drawing

void TdxSkinImage::Draw(HDC DC, const TRect& ARect, TdxScaleFactor* AScaleFactor, int AImageIndex,
                        TdxSkinElementState AState)
{
  dxSkinPaint(DC, ARect, [&](TdxGPCanvas* ACanvas) { DrawEx(ACanvas, ARect, AScaleFactor, AImageIndex, AState); });
}

void TdxSkinImage::Draw(HDC DC, const TRect& ARect, int AImageIndex, TdxSkinElementState AState)
{
  Draw(DC, ARect, dxGetSystemScaleFactor(), AImageIndex, AState);
}

void TdxSkinImage::DrawEx(TdxGPCanvas* ACanvas, const TRect& ARect, int AImageIndex, TdxSkinElementState AState)
{
  DrawEx(ACanvas, ARect, dxGetSystemScaleFactor(), AImageIndex, AState);
}

void TdxSkinImage::DrawRTL(HDC DC, const TRect& ARect, TdxScaleFactor* AScaleFactor, int AImageIndex,
                           TdxSkinElementState AState)
{
  dxSkinPaint(DC, ARect, [&](TdxGPCanvas* ACanvas) {
    dxGpPaintMirrored(ACanvas, ARect, true, [&] { DrawEx(ACanvas, ARect, AScaleFactor, AImageIndex, AState); });
  });
}

void TdxSkinImage::FillGradient(TdxGPCanvas* ACanvas, const TRect& R)
{
  TdxSkinRender::FillRectByGradient(ACanvas, R, FGradientBeginColor.GetValue(), FGradientEndColor.GetValue(),
                                    FGradient, 255);
}

void TdxSkinImage::DrawEx(TdxGPCanvas* ACanvas, const TRect& ARect, TdxScaleFactor* AScaleFactor, int AImageIndex,
                          TdxSkinElementState AState)
{
  if (FTexture->GetEmpty()) {
    TRect margins = FMargins->GetMargin();
    if (FScaleMargins)
      margins = AScaleFactor->Apply(margins, GetSourceDPI(), 96);
    FillGradient(ACanvas, TRect{ARect.left + margins.left, ARect.top + margins.top, ARect.right - margins.right,
                                ARect.bottom - margins.bottom});
    return;
  }
  CheckGeometry();
  CheckFrame(AImageIndex, AState);
  TdxSkinImageCanvasModes modes(ACanvas);
  if (FInterpolationMode != imDefault)
    ACanvas->SetInterpolationMode(FInterpolationMode);

  Gdiplus::GpImage* handle = FTexture->GetHandle();
  TSize frameSize = AScaleFactor->Apply(FSize, GetSourceDPI(), 96);
  if (IsVector()) {
    const TRect& m = FMargins->GetMargin();
    if (FStretch == TdxSkinStretchMode::smStretch && m.left == 0 && m.top == 0 && m.right == 0 && m.bottom == 0)
      frameSize = cxSizeFitAspectOfSize(TSize{ARect.right - ARect.left, ARect.bottom - ARect.top}, FSize);
    CalculatePartsBounds(frameSize);
    const rtl::IPtr<IdxColorPalette> palette = GetColorPalette(AState, true);
    // The texture rasterised for this size and palette, through the image's
    // own cache.
    if (FTexture->PrepareCache(frameSize, palette.Get()) && rtl::Is<TdxGPImageHandle>(FTexture->GetCache()))
      handle = static_cast<TdxGPImageHandle*>(FTexture->GetCache())->GetHandle();
  }
  if (!handle)
    return;
  const TRect frame = GetStateBounds(AImageIndex, AState);
  if (FStretch == TdxSkinStretchMode::smNoResize) {
    ACanvas->SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    dxGpDrawImage(ACanvas->Handle(), cxRectCenterBoxOfSize(ARect, frameSize), frame, nullptr, 255, handle);
    return;
  }
  DrawParts(ACanvas, ARect, AScaleFactor, frame, handle);
}

void TdxSkinImage::DrawParts(TdxGPCanvas* ACanvas, const TRect& ARect, TdxScaleFactor* AScaleFactor,
                             const TRect& AFrame, Gdiplus::GpImage* AHandle)
{
  const auto source = [&](TdxSkinImagePart APart) {
    TRect result = FPartsBounds[APart];
    OffsetRect(&result, AFrame.left, AFrame.top);
    return result;
  };
  TRect margins =
      dxSkinFitMarginsToSize(FMargins->GetMargin(), TSize{ARect.right - ARect.left, ARect.bottom - ARect.top});
  if (margins.left == 0 && margins.top == 0 && margins.right == 0 && margins.bottom == 0) {
    DrawPart(ACanvas, TdxSkinImagePart::sipCenter, ARect, source(TdxSkinImagePart::sipCenter), AHandle);
    return;
  }
  if (FScaleMargins)
    margins = AScaleFactor->Apply(margins, GetSourceDPI(), 96);
  const TdxSkinElementPartBounds destination = dxSkinCalculateNineParts(ARect, margins);
  for (int part = 0; part < static_cast<int>(destination.size()); ++part)
    if (FPartsVisibility[part])
      DrawPart(ACanvas, static_cast<TdxSkinImagePart>(part), destination[part],
               source(static_cast<TdxSkinImagePart>(part)), AHandle);
}

void TdxSkinImage::DrawPart(TdxGPCanvas* ACanvas, TdxSkinImagePart APart, const TRect& ADest, const TRect& ASource,
                            Gdiplus::GpImage* AHandle)
{
  if (APart == TdxSkinImagePart::sipCenter && cxIsColorAssigned(FGradientBeginColor.GetValue())) {
    FillGradient(ACanvas, ADest);
    return;
  }
  if (FStretch == TdxSkinStretchMode::smTile)
    dxGpTileImage(ACanvas->Handle(), ADest, ASource, 255, AHandle);
  else
    dxGpDrawImage(ACanvas->Handle(), ADest, ASource, nullptr, 255, AHandle);
}

void TdxSkinImage::GetBitmap(int AImageIndex, TdxSkinElementState AState, vcl::TBitmap* ABitmap,
                             vcl::TColor ABackgroundColor)
{
  const TSize size = GetSize();
  ABitmap->FreeImage();
  ABitmap->SetSize(size.cx, size.cy);
  const TRect bounds{0, 0, size.cx, size.cy};
  if (ABackgroundColor != vcl::clNone) {
    vcl::TCanvas* canvas = ABitmap->GetCanvas();
    if (ABackgroundColor != vcl::clDefault)
      canvas->GetBrush()->SetColor(ABackgroundColor);
    canvas->FillRect(bounds);
  }
  Draw(ABitmap->GetCanvas()->GetHandle(), bounds, dxGetSystemScaleFactor(), AImageIndex, AState);
}

void TdxSkinImage::SetStateMapping(std::span<const TdxSkinElementState> ATargetStateOrder)
{
  if (FTexture->GetEmpty() || ATargetStateOrder.empty())
    return;
  CheckGeometry();
  const TSize frame = FSize;
  const bool horizontal = FImageLayout == TdxSkinImageLayout::ilHorizontal;
  const int frames = static_cast<int>(ATargetStateOrder.size()) * FImageCount;
  const TSize textureSize = FTexture->GetSize();
  rtl::TOwnedPtr<TdxSmartImage> target(rtl::New<TdxSmartImage>());
  target->CreateSize(horizontal ? frame.cx * frames : textureSize.cx, horizontal ? textureSize.cy : frame.cy * frames,
                     0);
  Gdiplus::GpImage* handle = FTexture->GetHandle();
  {
    rtl::TOwnedPtr<TdxGPCanvas> canvas(target->CreateCanvas());
    int position = 0;
    for (int index = 0; index < FImageCount; ++index)
      for (const TdxSkinElementState state : ATargetStateOrder) {
        TRect destination{0, 0, frame.cx, frame.cy};
        OffsetRect(&destination, horizontal ? position * frame.cx : 0, horizontal ? 0 : position * frame.cy);
        if (FStates.Contains(state))
          dxGpDrawImage(canvas->Handle(), destination, GetStateBounds(index, state), nullptr, 255, handle);
        ++position;
      }
  }
  TdxSkinElementStates states;
  for (const TdxSkinElementState state : ATargetStateOrder)
    states.Include(state);
  FTexture->Assign(target.get());
  FStates = states;
  Changed();
}
