#include "graphics/cxGraphicsPaintCache.h"

#include <cstring>
#include <map>
#include <unordered_map>
#include <vector>

#include "core/dxCore.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxImageList.h"
#include "graphics/dxCoreGraphics.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "platform/rtl/ClassesComponents.h"
#include "platform/vcl/ImgList.h"

using namespace vcl;

namespace {

struct TImageIdHash {
  std::size_t operator()(const TdxDrawImageCacheID& AID) const
  {
    return dxHashBytes(&AID, sizeof(AID), 0);
  }
};

struct TImageIdEqual {
  bool operator()(const TdxDrawImageCacheID& A, const TdxDrawImageCacheID& B) const
  {
    return std::memcmp(&A, &B, sizeof(A)) == 0;
  }
};

using TImages = std::unordered_map<TdxDrawImageCacheID, rtl::TOwnedPtr<TdxGPImage>, TImageIdHash, TImageIdEqual>;

struct TSizeLess {
  bool operator()(const TSize& A, const TSize& B) const { return A.cx != B.cx ? A.cx < B.cx : A.cy < B.cy; }
};

// The prepared images of one list. It watches the list: a platform list
// through a change link, and any list through its free notification.
class TImageListCacheHelper : public rtl::TComponent {
  RTL_CLASS(TImageListCacheHelper, rtl::TComponent)

 public:
  void Create(TCustomImageList* AImageList)
  {
    inherited::Create(nullptr);
    FImageList = AImageList;
    FLastSize = {-1, -1};
    FMaxSizeCount = 2 * std::max(GetSystemMetrics(SM_CMONITORS), 1);
    if (!rtl::Is<TcxCustomImageList>(AImageList)) {
      FImagesChangeLink = rtl::New<TChangeLink>();
      FImagesChangeLink->SetOnChange(rtl::TNotifyEvent::Bind<&TImageListCacheHelper::ImagesChanged>(this));
      AImageList->RegisterChanges(FImagesChangeLink);
    }
    AImageList->FreeNotification(this);
  }

  void Destroy() override
  {
    if (FImageList) {
      if (FImagesChangeLink)
        FImageList->UnRegisterChanges(FImagesChangeLink);
      FImageList->RemoveFreeNotification(this);
    }
    rtl::FreeAndNil(FImagesChangeLink);
    inherited::Destroy();
  }

  TdxGPImage* GetImage(const TRect& ABounds, IdxColorPalette* APalette, const TdxDrawImageCacheID& AID)
  {
    TImages& images = ImagesOfSize(cxRectGetSize(ABounds));
    auto found = images.find(AID);
    if (found == images.end()) {
      rtl::TOwnedPtr<TdxGPImage> image(rtl::New<TdxGPImage>());
      PrepareImage(image.get(), cxRectGetSize(ABounds), APalette, AID);
      found = images.emplace(AID, std::move(image)).first;
    }
    return found->second.get();
  }

  void Invalidate()
  {
    FLastSize = {-1, -1};
    FLastImages = nullptr;
    FSizes.clear();
    FSizedImages.clear();
  }

  TCustomImageList* GetImageList() const { return FImageList; }
  int GetSizeCount() const { return static_cast<int>(FSizedImages.size()); }

 protected:
  void Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation) override
  {
    inherited::Notification(AComponent, AOperation);
    if (AOperation == rtl::TOperation::opRemove && AComponent == FImageList) {
      // The list is going: its address may come back with another list.
      Invalidate();
      FImagesChangeLink = nullptr;
      FImageList = nullptr;
    }
  }

 private:
  void ImagesChanged(rtl::TObject*) { Invalidate(); }

  TImages& ImagesOfSize(const TSize& ASize)
  {
    if (FLastImages && FLastSize.cx == ASize.cx && FLastSize.cy == ASize.cy)
      return *FLastImages;
    auto found = FSizedImages.find(ASize);
    if (found == FSizedImages.end()) {
      if (static_cast<int>(FSizes.size()) >= FMaxSizeCount) {
        FSizedImages.erase(FSizes.front());
        FSizes.erase(FSizes.begin());
      }
      FSizes.push_back(ASize);
      found = FSizedImages.emplace(ASize, TImages(static_cast<std::size_t>(FImageList->GetCount()))).first;
    }
    FLastSize = ASize;
    FLastImages = &found->second;
    return found->second;
  }

  static void PrepareImage(TdxGPImage* ATarget, const TSize& ASize, IdxColorPalette* APalette,
                           const TdxDrawImageCacheID& AID);

  TCustomImageList* FImageList;
  TChangeLink* FImagesChangeLink;
  TImages* FLastImages;
  TSize FLastSize;
  int FMaxSizeCount;
  std::map<TSize, TImages, TSizeLess> FSizedImages;
  // Oldest first.
  std::vector<TSize> FSizes;
};

// The per-process state, made on first use and freed by the graphics
// unit's finish step.
struct TPaintCacheState {
  std::vector<rtl::TOwnedPtr<TImageListCacheHelper>> Helpers;
  TImageListCacheHelper* Last = nullptr;
  rtl::TOwnedPtr<TcxAlphaBitmap> PreparationBitmap;
};
TPaintCacheState* PaintCacheState = nullptr;

TPaintCacheState& State()
{
  if (!PaintCacheState) {
    PaintCacheState = new TPaintCacheState;
    PaintCacheState->PreparationBitmap.reset(rtl::New<TcxAlphaBitmap>());
  }
  return *PaintCacheState;
}

// The helper of a live list; the helpers of lists gone are dropped here.
TImageListCacheHelper* FindHelper(TCustomImageList* AImages)
{
  if (!PaintCacheState)
    return nullptr;
  TPaintCacheState& state = *PaintCacheState;
  if (state.Last && state.Last->GetImageList() == AImages)
    return state.Last;
  std::erase_if(state.Helpers, [&](const auto& AHelper) {
    if (AHelper->GetImageList())
      return false;
    if (state.Last == AHelper.get())
      state.Last = nullptr;
    return true;
  });
  for (const auto& helper : state.Helpers)
    if (helper->GetImageList() == AImages)
      return helper.get();
  return nullptr;
}

void TImageListCacheHelper::PrepareImage(TdxGPImage* ATarget, const TSize& ASize, IdxColorPalette* APalette,
                                         const TdxDrawImageCacheID& AID)
{
  TcxAlphaBitmap* bitmap = State().PreparationBitmap.get();
  bitmap->RefreshImage(ASize.cx, ASize.cy);
  const TRect bounds = bitmap->GetClientRect();
  cxDrawImageToDC(bitmap->GetCanvas()->GetHandle(), bounds, bounds, APalette, AID.UseLeftBottomPixelAsTransparent,
                  AID.TransparentColor, nullptr, AID.SmoothImage, AID.DrawMode, AID.ImageIndex, AID.ImageList,
                  AID.Glyph);
  ATarget->SetBitmap(bitmap);
}

}  // namespace

void TdxImageListPaintCache::Draw(TcxCanvas* ACanvas, const TRect& ABounds, TCustomImageList* AImages,
                                  bool ASmoothImage, IdxColorPalette* APalette, bool AUseLeftBottomPixelAsTransparent,
                                  TcxImageDrawMode ADrawMode, int AIndex)
{
  if (!AImages || cxRectHasNoArea(ABounds))
    return;
  TPaintCacheState& state = State();
  TImageListCacheHelper* helper = FindHelper(AImages);
  if (!helper) {
    helper = rtl::New<TImageListCacheHelper>(AImages);
    state.Helpers.emplace_back(helper);
  }
  state.Last = helper;
  TdxDrawImageCacheID id{};
  id.DrawMode = ADrawMode;
  id.Glyph = nullptr;
  id.ImageIndex = AIndex;
  id.ImageList = AImages;
  dxGetColorPaletteID(APalette, id.PaletteID);
  id.SmoothImage = ASmoothImage;
  id.TransparentColor = clNone;
  id.UseLeftBottomPixelAsTransparent = AUseLeftBottomPixelAsTransparent;
  helper->GetImage(ABounds, APalette, id)->StretchDraw(ACanvas->GetHandle(), ABounds, 255);
}

void TdxImageListPaintCache::InvalidateImageList(TCustomImageList* AImages)
{
  if (TImageListCacheHelper* helper = FindHelper(AImages))
    helper->Invalidate();
}

int TdxImageListPaintCache::GetCachedSizeCount(TCustomImageList* AImages)
{
  TImageListCacheHelper* helper = FindHelper(AImages);
  return helper ? helper->GetSizeCount() : 0;
}

void TdxImageListPaintCache::Finalize()
{
  delete PaintCacheState;
  PaintCacheState = nullptr;
}
