// The cxImageList unit: the system's image list.
//   TcxImageInfo, TcxImageInfoItem, TcxImageInfoCollection: the source each
//     native image was made from (the graphic as given, its mask and mask
//     colour), which is what the list streams
//   TcxImageInfoHelper: the graphic operations the list needs of any source
//   TcxBaseImageList: the native list with the DPI its images were made for
//   TcxCustomImageList: keeps the native list and the sources in step
//   TcxImageList: the component form
//
// The native list serves the platform's own drawing; the sources serve
// drawing with alpha at any size, and they survive a save and a load without
// being flattened to the native list's format.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "core/dxCore.h"
#include "core/dxDPIAwareUtils.h"
#include "platform/rtl/ClassesComponents.h"
#include "platform/rtl/System.h"
#include "platform/rtl/TypInfo.h"
#include "platform/vcl/Graphics.h"
#include "platform/vcl/ImgList.h"

namespace rtl {
class TFiler;
class TReader;
class TWriter;
}  // namespace rtl

struct IdxColorPalette;
class TdxCustomSmartImage;

// ---------------------------------------------------------------------------
// Sources

class TcxImageInfo : public rtl::TPersistent {
  RTL_CLASS(TcxImageInfo, rtl::TPersistent)

 public:
  void Create();
  void Destroy() override;
  // Another info's image, mask and mask colour; anything else goes to the
  // inherited Assign.
  void Assign(rtl::TPersistent* ASource) override;

  vcl::TGraphic* GetImage() const { return FImage; }
  // The image takes AValue's class (a new instance when it differs) and its
  // content; nil keeps the image as it is.
  void SetImage(vcl::TGraphic* AValue);
  vcl::TBitmap* GetMask() const { return FMask; }
  void SetMask(vcl::TBitmap* AValue);
  vcl::TColor GetMaskColor() const { return FMaskColor; }
  void SetMaskColor(vcl::TColor AValue) { FMaskColor = AValue; }
  // The mask taken from the native list when the source has none.
  vcl::TBitmap* GetInternalMask() const { return FInternalMask; }

  // Computed on first need and kept until the image changes.
  bool IsAlphaUsed();
  // A mask colour or a mask bitmap.
  bool HasMask();
  // The image as a plain 32-bit bitmap whose alpha carries what the mask
  // or the mask colour said; the mask is dropped.
  void ConvertTo32Bit();
  void FlushMask();
  void Resize(const TSize& ASize);
  // Lets the bitmaps go of their GDI handles.
  void Dormant();

  bool GetCompressData();
  void SetCompressData(bool AValue);

 private:
  vcl::TGraphic* FImage;
  TdxDefaultBoolean FIsAlphaUsed;
  vcl::TBitmap* FMask;
  vcl::TColor FMaskColor;
  vcl::TBitmap* FInternalMask;
};

class TcxImageInfoItem : public rtl::TCollectionItem {
  RTL_CLASS(TcxImageInfoItem, rtl::TCollectionItem)
  // ImageClass comes before Image, so the image has the right class when
  // its data arrives.
  RTL_PUBLISHED(RTL_PROPERTY(ImageClass, GetImageClass, SetImageClass, RTL_STORED(IsImageClassStored)),
                RTL_PROPERTY(Image, GetImage, SetImage),
                RTL_PROPERTY(Mask, GetMask, SetMask),
                RTL_PROPERTY(MaskColor, GetMaskColor, SetMaskColor, RTL_PROPTYPE(vcl::TypeInfoTColor),
                             RTL_DEFAULT(vcl::clNone)))

 public:
  void Create(rtl::TCollection* ACollection) override;
  void Destroy() override;
  void Assign(rtl::TPersistent* ASource) override;

  TcxImageInfo* GetImageInfo() const { return FImageInfo; }

  rtl::String GetImageClass() const;
  // Raises EdxException "The \"%s\" is invalid graphic class" for a name
  // that is no registered graphic class.
  void SetImageClass(const rtl::String& AValue);
  vcl::TGraphic* GetImage() const { return FImageInfo->GetImage(); }
  void SetImage(vcl::TGraphic* AValue) { FImageInfo->SetImage(AValue); }
  vcl::TBitmap* GetMask() const { return FImageInfo->GetMask(); }
  void SetMask(vcl::TBitmap* AValue) { FImageInfo->SetMask(AValue); }
  vcl::TColor GetMaskColor() const { return FImageInfo->GetMaskColor(); }
  void SetMaskColor(vcl::TColor AValue) { FImageInfo->SetMaskColor(AValue); }

 private:
  bool IsImageClassStored();

  TcxImageInfo* FImageInfo;
};

class TcxCustomImageList;

class TcxImageInfoCollection : public rtl::TCollection {
  RTL_CLASS(TcxImageInfoCollection, rtl::TCollection)

 public:
  void Create(TcxCustomImageList* AImageList);

  TcxImageInfoItem* Add(vcl::TGraphic* AImage, vcl::TBitmap* AMask, vcl::TColor AMaskColor);
  TcxImageInfoItem* GetItem(int AIndex) const { return static_cast<TcxImageInfoItem*>(GetItems(AIndex)); }
  bool GetCompressData() const { return FCompressData; }
  // Every item takes the flag; new items take it too.
  void SetCompressData(bool AValue);

  rtl::TPersistent* GetOwner() override;

 protected:
  void Notify(rtl::TCollectionItem* AItem, rtl::TCollectionNotification AAction) override;

 private:
  bool FCompressData;
  TcxCustomImageList* FImageList;
};

// Class operations over the graphics a source may hold.
class TcxImageInfoHelper {
 public:
  TcxImageInfoHelper() = delete;

  // A bitmap through the canvas, a smart image through its stretch-draw;
  // other graphics are ignored.
  static void CopyRect(vcl::TBitmap* ADest, const TRect& ADestRect, vcl::TGraphic* ASource,
                       const TRect& ASourceRect);
  static void CopyRect(vcl::TBitmap* ADest, const TRect& ADestRect, vcl::TGraphic* ASource);
  static void Dormant(vcl::TGraphic* AGraphic);
  // clNone with a mask, for a graphic that is no bitmap or one with alpha;
  // else the bottom-left pixel.
  static vcl::TColor GetDefaultTransparentColor(vcl::TGraphic* AImage, vcl::TBitmap* AMask);
  static vcl::TColor GetPixel(vcl::TGraphic* AGraphic, int X, int Y);
  static vcl::TPixelFormat GetPixelFormat(vcl::TGraphic* AGraphic);
  static bool IsAlphaUsed(vcl::TGraphic* AGraphic);
  // A smart image resizes itself; a bitmap is replaced (through AGraphic)
  // by a smoothly scaled 32-bit copy. Anything else raises.
  static void Resize(vcl::TGraphic*& AGraphic, const TSize& ASize);
};

// ---------------------------------------------------------------------------
// The lists

class TcxBaseImageList : public vcl::TDragImageList, public IdxSourceDPI {
  RTL_CLASS(TcxBaseImageList, vcl::TDragImageList)
  RTL_INTERFACES(IdxSourceDPI)

 public:
  void Create(rtl::TComponent* AOwner) override;
  // The owner hears of the removal before anything goes.
  void BeforeDestruction() override;

  int __stdcall GetSourceDPI() override { return FSourceDPI; }
  // 30..480.
  void SetSourceDPI(int AValue);

 private:
  int FSourceDPI;
};

class TcxCustomImageList : public TcxBaseImageList {
  RTL_CLASS(TcxCustomImageList, TcxBaseImageList)
  RTL_PUBLISHED(RTL_PROPERTY(ColorDepth, GetColorDepth, SetColorDepth, RTL_DEFAULT(vcl::TColorDepth::cd32Bit)),
                RTL_PROPERTY(SourceDPI, GetSourceDPI, SetSourceDPI),
                RTL_PROPERTY(BlendColor, GetBlendColor, SetBlendColor, RTL_PROPTYPE(vcl::TypeInfoTColor),
                             RTL_DEFAULT(vcl::clNone)),
                RTL_PROPERTY(BkColor, GetBkColor, SetBkColor, RTL_PROPTYPE(vcl::TypeInfoTColor),
                             RTL_DEFAULT(vcl::clNone)),
                RTL_PROPERTY(CompressData, GetCompressData, SetCompressData, RTL_DEFAULT(false)),
                RTL_PROPERTY(DrawingStyle, GetDrawingStyle, SetDrawingStyle,
                             RTL_DEFAULT(vcl::TDrawingStyle::dsNormal)),
                RTL_PROPERTY(Height, GetHeight, SetHeight, RTL_DEFAULT(16)),
                RTL_PROPERTY(ImageType, GetImageType, SetImageType, RTL_DEFAULT(vcl::TImageType::itImage)),
                RTL_PROPERTY(ShareImages, GetShareImages, SetShareImages, RTL_DEFAULT(false)),
                RTL_PROPERTY(Width, GetWidth, SetWidth, RTL_DEFAULT(16)),
                RTL_PROPERTY(OnChange, GetOnChange, SetOnChange))

 public:
  void Destroy() override;
  // Platform image lists only: their properties and all their images.
  void Assign(rtl::TPersistent* ASource) override;

  void BeginUpdate();
  void EndUpdate();
  // Leaves an update without the change signal.
  void CancelUpdate();

  // Each returns the native index of the first new image, or -1.
  int Add(vcl::TGraphic* AImage, vcl::TBitmap* AMask);
  int Add(vcl::TBitmap* AImage, vcl::TBitmap* AMask) { return Add(static_cast<vcl::TGraphic*>(AImage), AMask); }
  int Add(TdxCustomSmartImage* AImage);
  int AddMasked(vcl::TGraphic* AImage, vcl::TColor AMaskColor);
  int AddIcon(vcl::TIcon* AIcon);
  // Fitted to the list's size first: stretched with AStretch, else centred.
  int AddBitmap(vcl::TBitmap* AImage, vcl::TBitmap* AMask, vcl::TColor AMaskColor, bool AStretch, bool ASmooth);
  int AddImage(vcl::TCustomImageList* AImages, int AIndex);
  void AddImages(vcl::TCustomImageList* AImages);
  void CopyImages(vcl::TCustomImageList* AImages, int AStartIndex = 0, int AEndIndex = -1);

  void Insert(int AIndex, vcl::TGraphic* AImage, vcl::TBitmap* AMask);
  void InsertMasked(int AIndex, vcl::TGraphic* AImage, vcl::TColor AMaskColor);
  void InsertIcon(int AIndex, vcl::TIcon* AIcon);
  void Replace(int AIndex, vcl::TGraphic* AImage, vcl::TBitmap* AMask);
  void ReplaceMasked(int AIndex, vcl::TGraphic* AImage, vcl::TColor AMaskColor);
  void ReplaceIcon(int AIndex, vcl::TIcon* AIcon);
  void Move(int ACurIndex, int ANewIndex);
  // -1 deletes every image.
  void Delete(int AIndex);
  void Clear() { Delete(-1); }
  // Both sides at least 1; a new size removes every image.
  void SetSize(int AWidth, int AHeight) override;
  void SetSize(const TSize& ASize) { SetSize(ASize.cx, ASize.cy); }

  // A bitmap resource through the native loader; AFlags are the load flags
  // (LR_*) besides LR_CREATEDIBSECTION. False when nothing was loaded.
  bool LoadImage(HINSTANCE AInstance, const rtl::String& AResourceName, vcl::TColor AMaskColor, int AWidth,
                 UINT AFlags);
  // Copies the images of the native list AValue, which is destroyed.
  void SetHandle(HIMAGELIST AValue);

  // The source of image AIndex drawn at the list's size (AImage empty) or
  // at AImage's size; -1: the native list's whole image and mask.
  void GetImageInfo(int AIndex, vcl::TBitmap* AImage, vcl::TBitmap* AMask, IdxColorPalette* APalette);
  void GetImage(int AIndex, vcl::TBitmap* AImage) { GetImageInfo(AIndex, AImage, nullptr, nullptr); }
  void GetMask(int AIndex, vcl::TBitmap* AMask) { GetImageInfo(AIndex, nullptr, AMask, nullptr); }
  // A 32-bit source as it is (PNG, SVG ...), else a rendered bitmap.
  void GetImage(int AIndex, TdxCustomSmartImage* AImage);
  // Image and mask of the native list AHandle.
  static void GetImageInfo(HIMAGELIST AHandle, int AIndex, vcl::TBitmap* AImage, vcl::TBitmap* AMask);
  static void GetImageInfo(vcl::TCustomImageList* AImages, int AIndex, vcl::TBitmap* AImage,
                           vcl::TBitmap* AMask, IdxColorPalette* APalette);
  // Bits per pixel of the native list's image bitmap; 0 when unknown.
  static int GetPixelFormat(HIMAGELIST AHandle);
  // Same count and the same bytes of the native lists.
  static bool IsEquals(vcl::TCustomImageList* AImages1, vcl::TCustomImageList* AImages2);

  // Placed in ARect: stretched when asked, else centred at the list's size.
  void Draw(vcl::TCanvas* ACanvas, const TRect& ARect, int AIndex, bool AStretch = true, bool ASmoothResize = false,
            bool AEnabled = true);
  using vcl::TCustomImageList::Draw;
  void DrawOverlay(vcl::TCanvas* ACanvas, int X, int Y, int AImageIndex, int AOverlay, bool AEnabled = true);

  bool IsImageStrip(vcl::TGraphic* AGraphic);
  int GetImageCount(vcl::TGraphic* AGraphic);

  bool GetCompressData() const;
  void SetCompressData(bool AValue);
  TcxImageInfoCollection* GetImageInfos() const { return FImages; }
  int GetFormatVersion() const { return FFormatVersion; }
  bool IsSynchronizing() const { return FSynchronizationLockCount > 0; }

  // The items from the native list.
  void SynchronizeImageInfos();
  // The native list from the items.
  void SynchronizeHandle();

 protected:
  void Initialize() override;
  void Change() override;
  void DoDraw(int AIndex, vcl::TCanvas* ACanvas, int X, int Y, UINT AStyle, bool AEnabled) override;
  void DefineProperties(rtl::TFiler* AFiler) override;
  void Loaded() override;

 private:
  int AddFromImageInfo(TcxImageInfo* AInfo);
  void AddImageInfos(vcl::TGraphic* AImage, vcl::TBitmap* AMask, vcl::TColor AMaskColor);
  void DrawImageCore(int AIndex, vcl::TCanvas* ACanvas, bool AEnabled, bool ASmoothResize, bool AStretch,
                     UINT AStyle, const TRect& ARect);
  UINT NativeDrawingFlags() const;
  TSize ListSize() { return {GetWidth(), GetHeight()}; }
  int VectorImageCount() const;
  bool HasImageInfoData(rtl::TFiler* AFiler);
  void ReadFormatVersion(rtl::TReader* AReader);
  void WriteFormatVersion(rtl::TWriter* AWriter);
  void ReadDesignInfo(rtl::TReader* AReader);
  void WriteDesignInfo(rtl::TWriter* AWriter);
  void ReadImageInfo(rtl::TReader* AReader);
  void WriteImageInfo(rtl::TWriter* AWriter);
  void ReadNativeData(rtl::TStream* AStream);
  void WriteNativeData(rtl::TStream* AStream);

  bool FAlphaBlending;
  int FFormatVersion;
  TcxImageInfoCollection* FImages;
  int FLockCount;
  int FSynchronizationLockCount;
};

// The component form.
class TcxImageList : public TcxCustomImageList {
  RTL_CLASS(TcxImageList, TcxCustomImageList)
};
