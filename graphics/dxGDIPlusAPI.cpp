#include "graphics/dxGDIPlusAPI.h"

#include <float.h>

#include <cstdlib>
#include <cwchar>
#include <memory>

#include "platform/rtl/SysUtilsFormat.h"

TdxGpFunctions dxGpFunctions;
TdxGpBindingState dxGpBinding;
TdxGpCodecIDs dxGpCodecIDs;

namespace {

constexpr const char* FunctionNames[] = {
#define DX_GDIPLUS_NAME(AName) #AName,
    DX_GDIPLUS_FUNCTIONS(DX_GDIPLUS_NAME)
#undef DX_GDIPLUS_NAME
};

const wchar_t* LibraryNameForTests;

const wchar_t* LibraryName()
{
  return LibraryNameForTests ? LibraryNameForTests : L"gdiplus.dll";
}

// Loads a module without the "cannot open file" box, and with the floating-
// point control word kept: some libraries change it while they load.
HMODULE SafeLoadLibrary(const wchar_t* AName)
{
  const UINT errorMode = SetErrorMode(SEM_NOOPENFILEERRORBOX);
  const unsigned int controlWord = _controlfp(0, 0);
  HMODULE result = LoadLibraryW(AName);
  _controlfp(controlWord, _MCW_EM | _MCW_RC | _MCW_PC);
  SetErrorMode(errorMode);
  return result;
}

// Asks for the address while every earlier name was found; after the first
// missing name it answers nil without asking, so the rest of the table stays
// empty and the library unavailable.
void* dxGpBindFunction(const char* AName)
{
  if (!dxGpBinding.Available)
    return nullptr;
  void* address = reinterpret_cast<void*>(GetProcAddress(dxGpBinding.Library, AName));
  dxGpBinding.Available = address != nullptr;
  return address;
}

template <class F>
void Bind(F& AFunction, const char* AName)
{
  AFunction = reinterpret_cast<F>(dxGpBindFunction(AName));
}

void BindFunctions()
{
#define DX_GDIPLUS_BIND(AName) Bind(dxGpFunctions.AName, #AName);
  DX_GDIPLUS_FUNCTIONS(DX_GDIPLUS_BIND)
#undef DX_GDIPLUS_BIND
}

// Starts the library without its background thread and installs its
// notification hook in that thread's place. False when either step fails;
// a library that started is then shut down again, so that none is left
// running behind an unavailable flag.
bool StartLibrary()
{
  Gdiplus::GdiplusStartupInput input(nullptr, TRUE, FALSE);
  Gdiplus::GdiplusStartupOutput output;
  if (dxGpFunctions.GdiplusStartup(&dxGpBinding.StartupToken, &input, &output) != Ok)
    return false;
  if (output.NotificationHook && output.NotificationUnhook &&
      output.NotificationHook(&dxGpBinding.HookToken) == Ok) {
    dxGpBinding.NotificationHook = output.NotificationHook;
    dxGpBinding.NotificationUnhook = output.NotificationUnhook;
    return true;
  }
  dxGpFunctions.GdiplusShutdown(dxGpBinding.StartupToken);
  return false;
}

void StartStep()
{
  dxGpBinding.Available = false;
}

void dxGDIPlusAPIInitialization()
{
  dxGetUnitsLoader()->AddUnit(&StartStep, &dxGpUnbindLibrary);
}

void dxGDIPlusAPIFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxGpUnbindLibrary);
}

}  // namespace

RTL_UNIT(dxGDIPlusAPI, &dxGDIPlusAPIInitialization, &dxGDIPlusAPIFinalization);

std::span<const char* const> dxGpFunctionNames()
{
  return FunctionNames;
}

void dxGpSetLibraryNameForTests(const wchar_t* AName)
{
  LibraryNameForTests = AName;
}

// ---------------------------------------------------------------------------
// Binding

void dxGpBindLibrary()
{
  if (dxGpBinding.Available)
    return;
  // A module kept from a failed attempt is released first: loading it again
  // on top would leave it with more references than the finish step frees.
  if (dxGpBinding.Library)
    FreeLibrary(dxGpBinding.Library);
  dxGpBinding.Library = SafeLoadLibrary(LibraryName());
  dxGpBinding.Available = dxGpBinding.Library != nullptr;
  if (!dxGpBinding.Available)
    return;
  BindFunctions();
  if (dxGpBinding.Available && !StartLibrary()) {
    dxGpBinding.Available = false;
    dxGpBinding.NotificationHook = nullptr;
    dxGpBinding.NotificationUnhook = nullptr;
  }
}

void dxGpUnbindLibrary()
{
  if (dxGpBinding.Available) {
    dxGpBinding.NotificationUnhook(dxGpBinding.HookToken);
    dxGpFunctions.GdiplusShutdown(dxGpBinding.StartupToken);
  }
  if (dxGpBinding.Library)
    FreeLibrary(dxGpBinding.Library);
  // Nothing may call into the unloaded module through a stale pointer.
  dxGpBinding = TdxGpBindingState{};
  dxGpFunctions = TdxGpFunctions{};
}

bool dxGpIsAvailable()
{
  if (!dxGpBinding.Available)
    dxGpBindLibrary();
  return dxGpBinding.Available;
}

// ---------------------------------------------------------------------------
// Status codes

namespace {

rtl::String GdipMessage(Status AStatus)
{
  // Read before anything else can change it.
  const DWORD lastError = GetLastError();
  if (AStatus == Win32Error && lastError != 0)
    return rtl::Format(dxLookupResourceString(sdxGdipInvalidOperationWin32), {static_cast<int>(lastError)});
  return rtl::Format(dxLookupResourceString(sdxGdipInvalidOperation), {static_cast<int>(AStatus)});
}

}  // namespace

EdxGdipException::EdxGdipException(Status AStatus) : EdxException(GdipMessage(AStatus)), FStatus(AStatus) {}

void dxGpCheck(Status AStatus)
{
  if (AStatus != Ok)
    throw EdxGdipException(AStatus);
}

// ---------------------------------------------------------------------------
// Records

TdxGpRectF::operator TRect() const
{
  TRect result;
  result.left = static_cast<LONG>(std::trunc(X));
  result.top = static_cast<LONG>(std::trunc(Y));
  result.right = result.left + static_cast<LONG>(std::trunc(Width));
  result.bottom = result.top + static_cast<LONG>(std::trunc(Height));
  return result;
}

// ---------------------------------------------------------------------------
// Bitmaps and images

Gdiplus::GpBitmap* dxGpCreateBitmap(int AWidth, int AHeight)
{
  Gdiplus::GpBitmap* result = nullptr;
  dxGpCheck(dxGpFunctions.GdipCreateBitmapFromScan0(AWidth, AHeight, 0, PixelFormat32bppPARGB, nullptr, &result));
  return result;
}

Gdiplus::GpBitmap* dxGpCreateBitmapForSize(const TSize& ASize)
{
  return dxGpCreateBitmap(ASize.cx, ASize.cy);
}

Gdiplus::GpBitmap* dxGpCreateBitmapForRect(const TRect& ARect)
{
  return dxGpCreateBitmap(ARect.right - ARect.left, ARect.bottom - ARect.top);
}

namespace {

// The library's published image-format ids, in the order they are matched.
struct TImageFormatId {
  GUID Id;
  TdxImageDataFormat Format;
};

constexpr TImageFormatId ImageFormatIds[] = {
    {rtl::GUIDLiteral("{B96B3CAB-0728-11D3-9D7B-0000F81EF32E}"), dxImageBitmap},
    {rtl::GUIDLiteral("{B96B3CAA-0728-11D3-9D7B-0000F81EF32E}"), dxImageMemoryBmp},
    {rtl::GUIDLiteral("{B96B3CAE-0728-11D3-9D7B-0000F81EF32E}"), dxImageJpeg},
    {rtl::GUIDLiteral("{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}"), dxImagePng},
    {rtl::GUIDLiteral("{B96B3CB1-0728-11D3-9D7B-0000F81EF32E}"), dxImageTiff},
    {rtl::GUIDLiteral("{B96B3CB0-0728-11D3-9D7B-0000F81EF32E}"), dxImageGif},
    {rtl::GUIDLiteral("{B96B3CB5-0728-11D3-9D7B-0000F81EF32E}"), dxImageIcon},
    {rtl::GUIDLiteral("{B96B3CAC-0728-11D3-9D7B-0000F81EF32E}"), dxImageEmf},
    {rtl::GUIDLiteral("{B96B3CAD-0728-11D3-9D7B-0000F81EF32E}"), dxImageWmf},
};

}  // namespace

TdxImageDataFormat dxGpGetImageFormat(Gdiplus::GpImage* AImage)
{
  GUID id;
  if (!AImage || dxGpFunctions.GdipGetImageRawFormat(AImage, &id) != Ok)
    return dxImageUnknown;
  for (const TImageFormatId& item : ImageFormatIds)
    if (IsEqualGUID(item.Id, id))
      return item.Format;
  return dxImageUnknown;
}

// ---------------------------------------------------------------------------
// Codec class ids

namespace {

constexpr const wchar_t* CodecMimeTypes[] = {L"image/png",  L"image/bmp",   L"image/gif",   L"image/jpeg",
                                             L"image/tiff", L"image/x-emf", L"image/x-wmf", L"image/x-icon"};

bool IsSlotSet(const CLSID& AId)
{
  return AId.Data1 != 0 || AId.Data2 != 0 || AId.Data3 != 0;
}

struct TFreeDeleter {
  void operator()(void* ABlock) const { std::free(ABlock); }
};

// The class id of the first encoder or decoder of the MIME type, compared
// ignoring case.
bool FindCodec(const wchar_t* AMimeType, bool AEncoder, CLSID& AId)
{
  if (!dxGpIsAvailable())
    return false;
  UINT count = 0;
  UINT size = 0;
  const Status status = AEncoder ? dxGpFunctions.GdipGetImageEncodersSize(&count, &size)
                                 : dxGpFunctions.GdipGetImageDecodersSize(&count, &size);
  if (status != Ok || size == 0)
    return false;
  std::unique_ptr<void, TFreeDeleter> buffer(std::malloc(size));
  if (!buffer)
    return false;
  auto* codecs = static_cast<Gdiplus::ImageCodecInfo*>(buffer.get());
  const Status listed = AEncoder ? dxGpFunctions.GdipGetImageEncoders(count, size, codecs)
                                 : dxGpFunctions.GdipGetImageDecoders(count, size, codecs);
  if (listed != Ok)
    return false;
  for (UINT i = 0; i < count; ++i)
    if (codecs[i].MimeType && _wcsicmp(codecs[i].MimeType, AMimeType) == 0) {
      AId = codecs[i].Clsid;
      return true;
    }
  return false;
}

// Fills an unset slot; a type the library lacks leaves it zero, or raises
// for the slots that must be found.
void LoadSlot(CLSID& ASlot, TdxGpCodecMimeType AType, bool AEncoder, bool ARequired)
{
  if (IsSlotSet(ASlot))
    return;
  if (FindCodec(CodecMimeTypes[AType], AEncoder, ASlot))
    return;
  ASlot = CLSID{};
  if (ARequired)
    dxGpCheck(GenericError);
}

}  // namespace

void dxGpLoadCodecIDs()
{
  auto& ids = dxGpCodecIDs;
  LoadSlot(ids.Encoders[gpcPng], gpcPng, true, true);
  LoadSlot(ids.Decoders[gpcPng], gpcPng, false, true);
  for (TdxGpCodecMimeType type : {gpcBmp, gpcGif, gpcJpeg, gpcTiff}) {
    LoadSlot(ids.Encoders[type], type, true, false);
    LoadSlot(ids.Decoders[type], type, false, false);
  }
  for (TdxGpCodecMimeType type : {gpcEmf, gpcWmf, gpcIcon})
    LoadSlot(ids.Decoders[type], type, false, false);
}

void dxGetImageEncoder(TdxImageDataFormat AFormat, CLSID& AClsid)
{
  const auto& encoders = dxGpCodecIDs.Encoders;
  switch (AFormat) {
    case dxImageBitmap:
    case dxImageMemoryBmp:
      AClsid = encoders[gpcBmp];
      return;
    case dxImageJpeg:
      AClsid = encoders[gpcJpeg];
      return;
    case dxImagePng:
      AClsid = encoders[gpcPng];
      return;
    case dxImageTiff:
      AClsid = encoders[gpcTiff];
      return;
    case dxImageGif:
      AClsid = encoders[gpcGif];
      return;
    case dxImageEmf:
    case dxImageIcon:
    case dxImageWmf:
      AClsid = CLSID{};
      return;
    case dxImageUnknown:
    case dxImageExif:
      break;
  }
  throw EdxException(L"dxGetImageEncoder fails");
}

// ---------------------------------------------------------------------------
// TdxGpBase

void* TdxGpBase::NewInstance(std::size_t ASize)
{
  if (!dxGpBinding.Available)
    return inherited::NewInstance(ASize);
  // The object model raises EOutOfMemory for nil.
  return dxGpFunctions.GdipAlloc(ASize);
}

void TdxGpBase::FreeInstance()
{
  const bool isGpUsed = FIsGpUsed;
  void* memory = CleanupInstance();
  if (!isGpUsed)
    ::operator delete(memory);
  // After the finish step has unloaded the library its allocator is gone;
  // the block is left rather than handed to freed code.
  else if (dxGpFunctions.GdipFree)
    dxGpFunctions.GdipFree(memory);
}
