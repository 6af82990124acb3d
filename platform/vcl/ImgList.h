// The ImgList unit:
//   TChangeLink, through which controls hear of changes of an image list
//   TCustomImageList over a native image list of the common controls
//   TDragImageList, the drag-image operations of the native list
//   TImageList, the component form with the published properties
//
// The native list is made when first needed, from Width, Height, Masked,
// ColorDepth and AllocBy; changing one of them drops it, and with it the
// images. Component streams keep the images in the binary property
// "Bitmap", in the native list's own format (ImageList_Write).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "platform/rtl/ClassesComponents.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemEvents.h"
#include "platform/rtl/TypInfo.h"
#include "platform/vcl/Graphics.h"

namespace vcl {

class TCustomImageList;

using TImageIndex = int;

RTL_ENUM(TColorDepth, cdDeviceDependent, cd4Bit, cd8Bit, cd16Bit, cd24Bit, cd32Bit);
RTL_ENUM(TDrawingStyle, dsFocus, dsSelected, dsNormal, dsTransparent);
RTL_ENUM(TImageType, itImage, itMask);

using rtl::EInvalidOperation;

// A control's subscription to an image list: the list calls Change on every
// registered link when its images change. Freeing a link unregisters it.
class TChangeLink : public rtl::TObject {
  RTL_CLASS(TChangeLink, rtl::TObject)

 public:
  void Create() {}
  void Destroy() override;
  // OnChange with the list as sender.
  virtual void Change();

  TCustomImageList* GetSender() const { return FSender; }
  void SetSender(TCustomImageList* AValue) { FSender = AValue; }
  rtl::TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(rtl::TNotifyEvent AValue) { FOnChange = AValue; }

 private:
  TCustomImageList* FSender;
  rtl::TNotifyEvent FOnChange;
};

class TCustomImageList : public rtl::TComponent {
  RTL_CLASS(TCustomImageList, rtl::TComponent)

 public:
  // 16 x 16; Initialize does the rest.
  void Create(rtl::TComponent* AOwner) override;
  // The framework's CreateSize constructor.
  void CreateSize(int AWidth, int AHeight);
  // Drops the native list (unless shared) and cuts the links loose.
  void Destroy() override;
  // Another image list's properties and a copy of its images; anything
  // else goes to the inherited Assign.
  void Assign(rtl::TPersistent* ASource) override;

  // The index of the first image added; an image wider than Width adds one
  // image per cell. -1 for a nil image or when the native list refuses.
  int Add(TBitmap* AImage, TBitmap* AMask);
  // Pixels of AMaskColor become transparent; the caller's bitmap is left
  // as it was.
  int AddMasked(TBitmap* AImage, TColor AMaskColor);
  int AddIcon(TIcon* AIcon);
  // Insert: Add, then each added image (a strip adds several) Moved to
  // its place from AIndex on.
  void Insert(int AIndex, TBitmap* AImage, TBitmap* AMask);
  // Raises EInvalidOperation "Failed to replace image" when the index is
  // out of range.
  void Replace(int AIndex, TBitmap* AImage, TBitmap* AMask);
  // -1 deletes every image; another index out of range raises
  // EInvalidOperation "Invalid ImageList Index".
  void Delete(int AIndex);
  void Clear() { Delete(-1); }
  // Moves an image by swapping neighbours, so the others keep their order.
  void Move(int ACurIndex, int ANewIndex);
  int GetCount();

  // Draws image AIndex at (X, Y) with DrawingStyle and ImageType; a
  // disabled image is drawn as an embossed grey silhouette.
  void Draw(TCanvas* ACanvas, int X, int Y, int AIndex, bool AEnabled = true);
  void Draw(TCanvas* ACanvas, int X, int Y, int AIndex, TDrawingStyle ADrawingStyle, TImageType AImageType,
            bool AEnabled = true);
  // Image AIndex drawn on a bitmap of the list's size (filled with
  // BkColor, or white without one).
  bool GetBitmap(int AIndex, TBitmap* AImage);

  // Change links: Change calls each link's Change, then OnChange.
  void RegisterChanges(TChangeLink* AValue);
  void UnRegisterChanges(TChangeLink* AValue);
  // While updates are open Change only notes that something changed; the
  // last EndUpdate reports it once.
  void BeginUpdate();
  void EndUpdate();

  // The native list, made when first asked for.
  HIMAGELIST GetHandle();
  // Takes over AValue (Width and Height come from it); the list frees it
  // unless ShareImages.
  void SetHandle(HIMAGELIST AValue);
  bool HandleAllocated() const { return FHandle != nullptr; }

  int GetWidth() const { return FWidth; }
  void SetWidth(int AValue) { SetSize(AValue, FHeight); }
  int GetHeight() const { return FHeight; }
  void SetHeight(int AValue) { SetSize(FWidth, AValue); }
  // Both at least 1; a change drops the images.
  virtual void SetSize(int AWidth, int AHeight);
  int GetAllocBy() const { return FAllocBy; }
  void SetAllocBy(int AValue);
  TColor GetBkColor() const { return FBkColor; }
  void SetBkColor(TColor AValue);
  TColor GetBlendColor() const { return FBlendColor; }
  void SetBlendColor(TColor AValue);
  TColorDepth GetColorDepth() const { return FColorDepth; }
  void SetColorDepth(TColorDepth AValue);
  TDrawingStyle GetDrawingStyle() const { return FDrawingStyle; }
  void SetDrawingStyle(TDrawingStyle AValue);
  TImageType GetImageType() const { return FImageType; }
  void SetImageType(TImageType AValue);
  bool GetMasked() const { return FMasked; }
  void SetMasked(bool AValue);
  bool GetShareImages() const { return FShareImages; }
  void SetShareImages(bool AValue) { FShareImages = AValue; }
  rtl::TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(rtl::TNotifyEvent AValue) { FOnChange = AValue; }

 protected:
  // The defaults, run by the constructors: no background or blend colour,
  // dsNormal, itImage, masked, device colours, growth by 4.
  virtual void Initialize();
  virtual void Change();
  // The one drawing call: ImageList_DrawEx with the list's colours and
  // AStyle (ILD_* flags), or the disabled look.
  virtual void DoDraw(int AIndex, TCanvas* ACanvas, int X, int Y, UINT AStyle, bool AEnabled);
  // "Bitmap": the native list's own stream format, written when there are
  // images (and, for an inherited component, when they differ).
  void DefineProperties(rtl::TFiler* AFiler) override;
  virtual void ReadData(rtl::TStream* AStream);
  virtual void WriteData(rtl::TStream* AStream);
  void HandleNeeded();

 private:
  void CreateImageList();
  void FreeHandle();
  // Drops the native list and its images after a change of its shape.
  void Recreate();
  bool HasData(rtl::TFiler* AFiler);
  void DrawDisabled(int AIndex, HDC ADC, int X, int Y);

  HIMAGELIST FHandle;
  std::vector<TChangeLink*> FClients;
  rtl::TNotifyEvent FOnChange;
  int FWidth;
  int FHeight;
  int FAllocBy;
  int FUpdateCount;
  TColor FBkColor;
  TColor FBlendColor;
  TColorDepth FColorDepth;
  TDrawingStyle FDrawingStyle;
  TImageType FImageType;
  bool FMasked;
  bool FShareImages;
  bool FChanged;
};

// The drag image of drag and drop: one image of the list follows the mouse
// over a window, locking the window's updates while it is shown.
class TDragImageList : public TCustomImageList {
  RTL_CLASS(TDragImageList, TCustomImageList)

 public:
  void Destroy() override;
  // The image to drag and its hot spot; false when the index is out of
  // range.
  bool SetDragImage(int AIndex, int AHotSpotX, int AHotSpotY);
  int GetDragImageIndex() const { return FDragIndex; }
  TPoint GetDragHotspot() const { return FDragHotspot; }
  // Starts dragging over AWindow with the image at (X, Y) in the window's
  // coordinates.
  bool BeginDrag(HWND AWindow, int X, int Y);
  bool DragMove(int X, int Y);
  void ShowDragImage();
  void HideDragImage();
  bool EndDrag();
  bool GetDragging() const { return FDragging; }

 private:
  HWND FDragWindow;
  TPoint FDragHotspot;
  int FDragIndex;
  bool FDragging;
};

class TImageList : public TDragImageList {
  RTL_CLASS(TImageList, TDragImageList)
  RTL_PUBLISHED(RTL_PROPERTY(AllocBy, GetAllocBy, SetAllocBy, RTL_DEFAULT(4)),
                RTL_PROPERTY(BlendColor, GetBlendColor, SetBlendColor, RTL_PROPTYPE(TypeInfoTColor),
                             RTL_DEFAULT(clNone)),
                RTL_PROPERTY(BkColor, GetBkColor, SetBkColor, RTL_PROPTYPE(TypeInfoTColor), RTL_DEFAULT(clNone)),
                RTL_PROPERTY(ColorDepth, GetColorDepth, SetColorDepth, RTL_DEFAULT(TColorDepth::cdDeviceDependent)),
                RTL_PROPERTY(DrawingStyle, GetDrawingStyle, SetDrawingStyle, RTL_DEFAULT(TDrawingStyle::dsNormal)),
                RTL_PROPERTY(Height, GetHeight, SetHeight, RTL_DEFAULT(16)),
                RTL_PROPERTY(ImageType, GetImageType, SetImageType, RTL_DEFAULT(TImageType::itImage)),
                RTL_PROPERTY(Masked, GetMasked, SetMasked, RTL_DEFAULT(true)),
                RTL_PROPERTY(ShareImages, GetShareImages, SetShareImages, RTL_DEFAULT(false)),
                RTL_PROPERTY(Width, GetWidth, SetWidth, RTL_DEFAULT(16)),
                RTL_PROPERTY(OnChange, GetOnChange, SetOnChange))
};

}  // namespace vcl
