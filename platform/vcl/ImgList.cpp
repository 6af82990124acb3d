#include "platform/vcl/ImgList.h"

#include <objidl.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/rtl/ClassesFiler.h"
#include "platform/rtl/ClassesStreams.h"
#include "platform/vcl/GraphicsHandles.h"

using enum vcl::TColorDepth;
using enum vcl::TDrawingStyle;
using enum vcl::TImageType;

namespace vcl {

namespace {

// The native colour of BkColor and BlendColor.
COLORREF NativeColor(TColor AColor)
{
  if (AColor == clNone)
    return CLR_NONE;
  if (AColor == clDefault)
    return CLR_DEFAULT;
  return static_cast<COLORREF>(ColorToRGB(AColor));
}

// A copy of the bitmap's image for the native calls: they select what they
// get into a DC of their own, which fails for a bitmap still selected into
// its canvas, and AddMasked blackens the transparent pixels of its bitmap.
TOwnedBitmap NativeCopy(TBitmap* ABitmap)
{
  if (!ABitmap)
    return TOwnedBitmap();
  return TOwnedBitmap(static_cast<HBITMAP>(::CopyImage(ABitmap->GetHandle(), IMAGE_BITMAP, 0, 0, 0)));
}

// In the order of TColorDepth.
constexpr UINT kColorFlags[] = {ILC_COLORDDB, ILC_COLOR4, ILC_COLOR8, ILC_COLOR16, ILC_COLOR24, ILC_COLOR32};
// In the order of TDrawingStyle.
constexpr UINT kDrawingStyleFlags[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};

// Reads the little-endian fields of stored "Bitmap" data, failing softly
// past its end.
class TImgListDataCursor {
 public:
  TImgListDataCursor(const std::vector<unsigned char>& AData) : FData(AData) {}
  bool Skip(std::uint64_t ACount)
  {
    if (ACount > FData.size() - FPos)
      return false;
    FPos += static_cast<std::size_t>(ACount);
    return true;
  }
  bool Read(std::uint32_t& AValue, int ABytes)
  {
    if (static_cast<std::size_t>(ABytes) > FData.size() - FPos)
      return false;
    AValue = 0;
    for (int i = ABytes - 1; i >= 0; --i)
      AValue = (AValue << 8) | FData[FPos + i];
    FPos += ABytes;
    return true;
  }

 private:
  const std::vector<unsigned char>& FData;
  std::size_t FPos = 0;
};

// One stored bitmap (file header, info header, colours, pixels) that holds
// at least ACells cells of ACellWidth x ACellHeight.
bool ImgListBitmapIsSound(TImgListDataCursor& ACursor, std::uint32_t ACellWidth, std::uint32_t ACellHeight,
                          std::uint32_t ACells)
{
  std::uint32_t type = 0, infoSize = 0, width = 0, height = 0, planes = 0, bits = 0, compression = 0, used = 0;
  if (!ACursor.Read(type, 2) || type != 0x4D42 || !ACursor.Skip(12) || !ACursor.Read(infoSize, 4) ||
      infoSize != sizeof(BITMAPINFOHEADER) || !ACursor.Read(width, 4) || !ACursor.Read(height, 4) ||
      !ACursor.Read(planes, 2) || !ACursor.Read(bits, 2) || !ACursor.Read(compression, 4) || !ACursor.Skip(12) ||
      !ACursor.Read(used, 4) || !ACursor.Skip(4))
    return false;
  const std::int64_t signedWidth = static_cast<std::int32_t>(width);
  const std::int64_t rows = std::abs(static_cast<std::int64_t>(static_cast<std::int32_t>(height)));
  if (signedWidth <= 0 || rows == 0 || planes != 1 || compression != BI_RGB)
    return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
    return false;
  const std::uint64_t palette = bits <= 8 ? (used != 0 ? used : 1u << bits) : 0;
  if (bits <= 8 && palette > (1u << bits))
    return false;
  const std::uint64_t stride = (static_cast<std::uint64_t>(signedWidth) * bits + 31) / 32 * 4;
  const std::uint64_t cells =
      static_cast<std::uint64_t>(signedWidth / ACellWidth) * static_cast<std::uint64_t>(rows / ACellHeight);
  return cells >= ACells && ACursor.Skip(palette * sizeof(RGBQUAD)) && ACursor.Skip(stride * rows);
}

// Whether stored "Bitmap" data is whole and holds the images its header
// counts. The native reader trusts that header: a damaged one gives a list
// claiming images it lacks, of any size.
bool ImgListDataIsSound(const std::vector<unsigned char>& AData)
{
  TImgListDataCursor cursor(AData);
  std::uint32_t magic = 0, version = 0, count = 0, capacity = 0, grow = 0, width = 0, height = 0, color = 0,
                flags = 0;
  if (!cursor.Read(magic, 2) || magic != 0x4C49 || !cursor.Read(version, 2) || !cursor.Read(count, 2) ||
      !cursor.Read(capacity, 2) || !cursor.Read(grow, 2) || !cursor.Read(width, 2) || !cursor.Read(height, 2) ||
      !cursor.Read(color, 4) || !cursor.Read(flags, 2) || !cursor.Skip(8))
    return false;
  if (width == 0 || height == 0 || count > capacity)
    return false;
  if (!ImgListBitmapIsSound(cursor, width, height, count))
    return false;
  return !(flags & ILC_MASK) || ImgListBitmapIsSound(cursor, width, height, count);
}

}  // namespace

// ---------------------------------------------------------------------------
// TChangeLink

void TChangeLink::Destroy()
{
  if (FSender)
    FSender->UnRegisterChanges(this);
  inherited::Destroy();
}

void TChangeLink::Change()
{
  if (FOnChange)
    FOnChange(FSender);
}

// ---------------------------------------------------------------------------
// TCustomImageList

void TCustomImageList::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FWidth = 16;
  FHeight = 16;
  Initialize();
}

void TCustomImageList::CreateSize(int AWidth, int AHeight)
{
  inherited::Create(nullptr);
  FWidth = std::max(AWidth, 1);
  FHeight = std::max(AHeight, 1);
  Initialize();
}

void TCustomImageList::Initialize()
{
  FBkColor = clNone;
  FBlendColor = clNone;
  FDrawingStyle = dsNormal;
  FImageType = itImage;
  FMasked = true;
  FColorDepth = cdDeviceDependent;
  FAllocBy = 4;
}

void TCustomImageList::Destroy()
{
  // The links outlive the list in their controls: they must not call back.
  for (TChangeLink* link : FClients)
    link->SetSender(nullptr);
  FClients.clear();
  FreeHandle();
  inherited::Destroy();
}

void TCustomImageList::Assign(rtl::TPersistent* ASource)
{
  if (!rtl::Is<TCustomImageList>(ASource)) {
    inherited::Assign(ASource);
    return;
  }
  auto* source = static_cast<TCustomImageList*>(ASource);
  // Itself: freeing its list first would leave nothing to copy.
  if (source == this)
    return;
  BeginUpdate();
  try {
    FreeHandle();
    FWidth = source->FWidth;
    FHeight = source->FHeight;
    FMasked = source->FMasked;
    FColorDepth = source->FColorDepth;
    FAllocBy = source->FAllocBy;
    FBkColor = source->FBkColor;
    FBlendColor = source->FBlendColor;
    FDrawingStyle = source->FDrawingStyle;
    FImageType = source->FImageType;
    // A copy, never the source's own list: each list frees its own.
    if (source->HandleAllocated())
      FHandle = ImageList_Duplicate(source->FHandle);
    Change();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCustomImageList::CreateImageList()
{
  const UINT flags = kColorFlags[FColorDepth] | (FMasked ? ILC_MASK : 0);
  FHandle = ImageList_Create(FWidth, FHeight, flags, FAllocBy, FAllocBy);
  if (!FHandle)
    throw EInvalidOperation(L"Failed to create ImageList");
  ImageList_SetBkColor(FHandle, NativeColor(FBkColor));
}

void TCustomImageList::HandleNeeded()
{
  if (!FHandle)
    CreateImageList();
}

HIMAGELIST TCustomImageList::GetHandle()
{
  HandleNeeded();
  return FHandle;
}

void TCustomImageList::FreeHandle()
{
  if (FHandle && !FShareImages)
    ImageList_Destroy(FHandle);
  FHandle = nullptr;
}

void TCustomImageList::SetHandle(HIMAGELIST AValue)
{
  // Its own list again: freeing it first would leave the list on a freed
  // handle.
  if (AValue == FHandle)
    return;
  FreeHandle();
  FHandle = AValue;
  if (FHandle) {
    int width = 0, height = 0;
    ImageList_GetIconSize(FHandle, &width, &height);
    FWidth = width;
    FHeight = height;
    FBkColor = ImageList_GetBkColor(FHandle) == CLR_NONE ? clNone : static_cast<TColor>(ImageList_GetBkColor(FHandle));
  }
  Change();
}

void TCustomImageList::Recreate()
{
  const bool hadImages = HandleAllocated() && ImageList_GetImageCount(FHandle) > 0;
  FreeHandle();
  if (hadImages)
    Change();
}

void TCustomImageList::SetSize(int AWidth, int AHeight)
{
  AWidth = std::max(AWidth, 1);
  AHeight = std::max(AHeight, 1);
  if (AWidth == FWidth && AHeight == FHeight)
    return;
  FWidth = AWidth;
  FHeight = AHeight;
  Recreate();
}

void TCustomImageList::SetAllocBy(int AValue)
{
  if (AValue == FAllocBy)
    return;
  // The growth of a native list is fixed when it is made: the new value
  // applies to the next one, and the images stay.
  FAllocBy = std::max(AValue, 1);
}

void TCustomImageList::SetBkColor(TColor AValue)
{
  if (AValue == FBkColor)
    return;
  FBkColor = AValue;
  if (FHandle)
    ImageList_SetBkColor(FHandle, NativeColor(AValue));
  Change();
}

void TCustomImageList::SetBlendColor(TColor AValue)
{
  if (AValue == FBlendColor)
    return;
  FBlendColor = AValue;
  Change();
}

void TCustomImageList::SetColorDepth(TColorDepth AValue)
{
  if (AValue == FColorDepth)
    return;
  FColorDepth = AValue;
  Recreate();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle AValue)
{
  if (AValue == FDrawingStyle)
    return;
  FDrawingStyle = AValue;
  Change();
}

void TCustomImageList::SetImageType(TImageType AValue)
{
  if (AValue == FImageType)
    return;
  FImageType = AValue;
  Change();
}

void TCustomImageList::SetMasked(bool AValue)
{
  if (AValue == FMasked)
    return;
  FMasked = AValue;
  Recreate();
}

int TCustomImageList::GetCount()
{
  return FHandle ? ImageList_GetImageCount(FHandle) : 0;
}

int TCustomImageList::Add(TBitmap* AImage, TBitmap* AMask)
{
  if (!AImage)
    return -1;
  HandleNeeded();
  const TOwnedBitmap image = NativeCopy(AImage);
  const TOwnedBitmap mask = NativeCopy(AMask);
  const int result = ImageList_Add(FHandle, image.Get(), mask.Get());
  if (result >= 0)
    Change();
  return result;
}

int TCustomImageList::AddMasked(TBitmap* AImage, TColor AMaskColor)
{
  if (!AImage)
    return -1;
  HandleNeeded();
  const TOwnedBitmap copy = NativeCopy(AImage);
  if (!copy)
    return -1;
  const int result = ImageList_AddMasked(FHandle, copy.Get(), NativeColor(AMaskColor));
  if (result >= 0)
    Change();
  return result;
}

int TCustomImageList::AddIcon(TIcon* AIcon)
{
  if (!AIcon)
    return -1;
  HandleNeeded();
  const int result = ImageList_ReplaceIcon(FHandle, -1, AIcon->GetHandle());
  if (result >= 0)
    Change();
  return result;
}

void TCustomImageList::Insert(int AIndex, TBitmap* AImage, TBitmap* AMask)
{
  if (AIndex < 0 || AIndex > GetCount())
    throw EInvalidOperation(L"Invalid ImageList Index");
  BeginUpdate();
  try {
    // A strip adds several images: each goes to its place in turn.
    const int added = Add(AImage, AMask);
    const int count = added < 0 ? 0 : GetCount() - added;
    for (int i = 0; i < count; ++i)
      Move(added + i, AIndex + i);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCustomImageList::Replace(int AIndex, TBitmap* AImage, TBitmap* AMask)
{
  const TOwnedBitmap image = NativeCopy(AImage);
  const TOwnedBitmap mask = NativeCopy(AMask);
  if (AIndex < 0 || AIndex >= GetCount() || !image || !ImageList_Replace(FHandle, AIndex, image.Get(), mask.Get()))
    throw EInvalidOperation(L"Failed to replace image");
  Change();
}

void TCustomImageList::Delete(int AIndex)
{
  if (AIndex >= GetCount() || AIndex < -1)
    throw EInvalidOperation(L"Invalid ImageList Index");
  if (!FHandle)
    return;
  ImageList_Remove(FHandle, AIndex);
  Change();
}

void TCustomImageList::Move(int ACurIndex, int ANewIndex)
{
  const int count = GetCount();
  if (ACurIndex < 0 || ACurIndex >= count || ANewIndex < 0 || ANewIndex >= count)
    throw EInvalidOperation(L"Invalid ImageList Index");
  if (ACurIndex == ANewIndex)
    return;
  // The image waits in a spare slot at the end while the others between
  // shift by one. Swapping neighbours (ILCF_SWAP) would be shorter, but
  // Wine's swap loses the image it saves for lists below 32 bits.
  const int spare = count;
  ImageList_SetImageCount(FHandle, count + 1);
  ImageList_Copy(FHandle, spare, FHandle, ACurIndex, ILCF_MOVE);
  const int step = ANewIndex > ACurIndex ? 1 : -1;
  for (int i = ACurIndex; i != ANewIndex; i += step)
    ImageList_Copy(FHandle, i, FHandle, i + step, ILCF_MOVE);
  ImageList_Copy(FHandle, ANewIndex, FHandle, spare, ILCF_MOVE);
  ImageList_Remove(FHandle, spare);
  Change();
}

void TCustomImageList::Draw(TCanvas* ACanvas, int X, int Y, int AIndex, bool AEnabled)
{
  Draw(ACanvas, X, Y, AIndex, FDrawingStyle, FImageType, AEnabled);
}

void TCustomImageList::Draw(TCanvas* ACanvas, int X, int Y, int AIndex, TDrawingStyle ADrawingStyle,
                            TImageType AImageType, bool AEnabled)
{
  if (!FHandle)
    return;
  const UINT style = kDrawingStyleFlags[ADrawingStyle] | (AImageType == itMask ? ILD_MASK : 0);
  DoDraw(AIndex, ACanvas, X, Y, style, AEnabled);
}

void TCustomImageList::DoDraw(int AIndex, TCanvas* ACanvas, int X, int Y, UINT AStyle, bool AEnabled)
{
  if (!FHandle)
    return;
  HDC dc = ACanvas->GetHandle();
  if (!AEnabled) {
    DrawDisabled(AIndex, dc, X, Y);
    return;
  }
  ImageList_DrawEx(FHandle, AIndex, dc, X, Y, 0, 0, NativeColor(FBkColor), NativeColor(FBlendColor), AStyle);
}

// The image's silhouette, from its mask, twice: in the highlight colour one
// pixel down and right, then in the shadow colour in place, so a disabled
// image looks engraved as the system draws disabled glyphs.
void TCustomImageList::DrawDisabled(int AIndex, HDC ADC, int X, int Y)
{
  const TOwnedDC maskDC(CreateCompatibleDC(ADC));
  const TOwnedBitmap mask(CreateBitmap(FWidth, FHeight, 1, 1, nullptr));
  if (!maskDC || !mask)
    return;
  const TSelectObjectGuard selectMask(maskDC.Get(), mask.Get());
  PatBlt(maskDC.Get(), 0, 0, FWidth, FHeight, WHITENESS);
  // The mask has black where the image is; without one the whole cell is
  // the image.
  ImageList_DrawEx(FHandle, AIndex, maskDC.Get(), 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_MASK);
  if (!FMasked)
    PatBlt(maskDC.Get(), 0, 0, FWidth, FHeight, BLACKNESS);

  const TSaveDCGuard saved(ADC);
  ::SetTextColor(ADC, RGB(0, 0, 0));
  ::SetBkColor(ADC, RGB(255, 255, 255));
  // 0x00B8074A (PSDPxax): the brush where the source is black, the
  // destination where it is white.
  constexpr DWORD kBrushWhereBlack = 0x00B8074A;
  const TOwnedBrush highlight(CreateSolidBrush(ColorToRGB(clBtnHighlight)));
  SelectObject(ADC, highlight.Get());
  BitBlt(ADC, X + 1, Y + 1, FWidth, FHeight, maskDC.Get(), 0, 0, kBrushWhereBlack);
  const TOwnedBrush shadow(CreateSolidBrush(ColorToRGB(clBtnShadow)));
  SelectObject(ADC, shadow.Get());
  BitBlt(ADC, X, Y, FWidth, FHeight, maskDC.Get(), 0, 0, kBrushWhereBlack);
  // Leave no brush of ours selected when the brushes go.
  SelectObject(ADC, GetStockObject(WHITE_BRUSH));
}

bool TCustomImageList::GetBitmap(int AIndex, TBitmap* AImage)
{
  if (!AImage || AIndex < 0 || AIndex >= GetCount())
    return false;
  AImage->SetSize(FWidth, FHeight);
  TCanvas* canvas = AImage->GetCanvas();
  canvas->GetBrush()->SetColor(FBkColor == clNone ? clWhite : FBkColor);
  const TRect all{0, 0, FWidth, FHeight};
  canvas->FillRect(all);
  ImageList_DrawEx(FHandle, AIndex, canvas->GetHandle(), 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_NORMAL);
  return true;
}

void TCustomImageList::RegisterChanges(TChangeLink* AValue)
{
  if (!AValue || std::find(FClients.begin(), FClients.end(), AValue) != FClients.end())
    return;
  AValue->SetSender(this);
  FClients.push_back(AValue);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* AValue)
{
  const auto found = std::find(FClients.begin(), FClients.end(), AValue);
  if (found == FClients.end())
    return;
  (*found)->SetSender(nullptr);
  FClients.erase(found);
}

void TCustomImageList::BeginUpdate()
{
  ++FUpdateCount;
}

void TCustomImageList::EndUpdate()
{
  if (FUpdateCount > 0)
    --FUpdateCount;
  if (FUpdateCount == 0 && FChanged)
    Change();
}

void TCustomImageList::Change()
{
  if (FUpdateCount > 0) {
    FChanged = true;
    return;
  }
  FChanged = false;
  // A link may unregister itself (or another) from its handler: walk a
  // copy and skip the links gone meanwhile.
  const std::vector<TChangeLink*> clients = FClients;
  for (TChangeLink* link : clients)
    if (std::find(FClients.begin(), FClients.end(), link) != FClients.end())
      link->Change();
  if (FOnChange)
    FOnChange(this);
}

// ---------------------------------------------------------------------------
// Streaming

bool TCustomImageList::HasData(rtl::TFiler* AFiler)
{
  rtl::TPersistent* ancestor = AFiler->GetAncestor();
  if (!rtl::Is<TCustomImageList>(ancestor))
    return GetCount() > 0;
  // An inherited list writes its images only when they differ from its
  // ancestor's.
  auto* other = static_cast<TCustomImageList*>(ancestor);
  if (other->GetCount() != GetCount())
    return true;
  if (GetCount() == 0)
    return false;
  const rtl::TOwnedPtr<rtl::TMemoryStream> mine(rtl::New<rtl::TMemoryStream>());
  const rtl::TOwnedPtr<rtl::TMemoryStream> theirs(rtl::New<rtl::TMemoryStream>());
  WriteData(mine.get());
  other->WriteData(theirs.get());
  return mine->GetSize() != theirs->GetSize() ||
         std::memcmp(mine->Memory(), theirs->Memory(), static_cast<std::size_t>(mine->GetSize())) != 0;
}

void TCustomImageList::DefineProperties(rtl::TFiler* AFiler)
{
  inherited::DefineProperties(AFiler);
  AFiler->DefineBinaryProperty(L"Bitmap", rtl::TStreamProc::Bind<&TCustomImageList::ReadData>(this),
                               rtl::TStreamProc::Bind<&TCustomImageList::WriteData>(this), HasData(AFiler));
}

void TCustomImageList::ReadData(rtl::TStream* AStream)
{
  const std::int64_t start = AStream->GetPosition();
  std::vector<unsigned char> data(static_cast<std::size_t>(std::max<std::int64_t>(AStream->GetSize() - start, 0)));
  if (!data.empty())
    AStream->ReadBuffer(data.data(), static_cast<int>(data.size()));
  if (!ImgListDataIsSound(data))
    throw rtl::EReadError(L"Failed to read ImageList data from stream");
  AStream->SetPosition(start);
  rtl::IPtr<IStream> adapter(rtl::NewWith<rtl::TStreamAdapter>([&](rtl::TStreamAdapter* A) { A->Create(AStream); }));
  HIMAGELIST list = ImageList_Read(adapter.Get());
  if (!list)
    throw rtl::EReadError(L"Failed to read ImageList data from stream");
  // The stored list keeps its own flags; the ones of the properties read
  // before it must not drop it again.
  SetHandle(list);
}

void TCustomImageList::WriteData(rtl::TStream* AStream)
{
  rtl::IPtr<IStream> adapter(rtl::NewWith<rtl::TStreamAdapter>([&](rtl::TStreamAdapter* A) { A->Create(AStream); }));
  if (!ImageList_Write(GetHandle(), adapter.Get()))
    throw rtl::EWriteError(L"Failed to write ImageList data to stream");
}

// ---------------------------------------------------------------------------
// TDragImageList

void TDragImageList::Destroy()
{
  if (FDragging)
    EndDrag();
  inherited::Destroy();
}

bool TDragImageList::SetDragImage(int AIndex, int AHotSpotX, int AHotSpotY)
{
  if (AIndex < 0 || AIndex >= GetCount())
    return false;
  FDragIndex = AIndex;
  FDragHotspot = {AHotSpotX, AHotSpotY};
  if (FDragging)
    ImageList_SetDragCursorImage(GetHandle(), AIndex, AHotSpotX, AHotSpotY);
  return true;
}

bool TDragImageList::BeginDrag(HWND AWindow, int X, int Y)
{
  if (FDragging || !ImageList_BeginDrag(GetHandle(), FDragIndex, FDragHotspot.x, FDragHotspot.y))
    return false;
  FDragWindow = AWindow;
  FDragging = true;
  ImageList_DragEnter(AWindow, X, Y);
  return true;
}

bool TDragImageList::DragMove(int X, int Y)
{
  return FDragging && ImageList_DragMove(X, Y);
}

void TDragImageList::ShowDragImage()
{
  if (FDragging)
    ImageList_DragShowNolock(TRUE);
}

void TDragImageList::HideDragImage()
{
  if (FDragging)
    ImageList_DragShowNolock(FALSE);
}

bool TDragImageList::EndDrag()
{
  if (!FDragging)
    return false;
  ImageList_DragLeave(FDragWindow);
  ImageList_EndDrag();
  FDragging = false;
  FDragWindow = nullptr;
  return true;
}

}  // namespace vcl
