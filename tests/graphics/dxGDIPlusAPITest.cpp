#include "graphics/dxGDIPlusAPI.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <limits>

namespace {

// --------------------------------------------------------------------------
// Binding

TEST(dxGpBinding, BindsAndStartsOnceWithTheHookInstalled)
{
  ASSERT_TRUE(dxGpIsAvailable());
  const TdxGpBindingState first = dxGpBinding;
  ASSERT_TRUE(dxGpIsAvailable());
  EXPECT_EQ(dxGpBinding.Library, first.Library);
  EXPECT_EQ(dxGpBinding.StartupToken, first.StartupToken);
  EXPECT_EQ(dxGpBinding.HookToken, first.HookToken);
  EXPECT_EQ(GetModuleHandleW(L"gdiplus.dll"), dxGpBinding.Library);
  // The library hands its hook back only when its background thread is
  // suppressed.
  EXPECT_NE(dxGpBinding.NotificationHook, nullptr);
  EXPECT_NE(dxGpBinding.NotificationUnhook, nullptr);
}

TEST(dxGpBinding, EveryNameOfTheTableResolvesInTheLoadedLibrary)
{
  ASSERT_TRUE(dxGpIsAvailable());
  const auto names = dxGpFunctionNames();
  static_assert(sizeof(TdxGpFunctions) % sizeof(void*) == 0);
  ASSERT_EQ(names.size(), sizeof(TdxGpFunctions) / sizeof(void*));
  EXPECT_STREQ(names.front(), "GdipAlloc");
  EXPECT_STREQ(names[3], "GdiplusShutdown");
  EXPECT_STREQ(names.back(), "GdipEmfToWmfBits");
  void* bound[sizeof(TdxGpFunctions) / sizeof(void*)];
  std::memcpy(bound, &dxGpFunctions, sizeof(bound));
  for (std::size_t i = 0; i < names.size(); ++i) {
    void* address = reinterpret_cast<void*>(GetProcAddress(dxGpBinding.Library, names[i]));
    EXPECT_NE(address, nullptr) << names[i];
    EXPECT_EQ(bound[i], address) << names[i];
  }
}

// Runs the unit's finish (which hands the finish step to the units loader)
// and starts the unit again afterwards, with the library name restored.
class dxGpUnbound : public testing::Test {
 protected:
  void SetUp() override { unit_dxGDIPlusAPI.finalization(); }
  void TearDown() override
  {
    dxGpSetLibraryNameForTests(nullptr);
    unit_dxGDIPlusAPI.finalization();
    unit_dxGDIPlusAPI.initialization();
  }
};

TEST_F(dxGpUnbound, FinishStepThroughTheLoaderShutsDownAndUnloads)
{
  EXPECT_FALSE(dxGpBinding.Available);
  EXPECT_EQ(dxGpBinding.Library, nullptr);
  EXPECT_EQ(dxGpFunctions.GdipAlloc, nullptr);
  EXPECT_EQ(GetModuleHandleW(L"gdiplus.dll"), nullptr);
  // Bound again on the next check.
  unit_dxGDIPlusAPI.initialization();
  EXPECT_TRUE(dxGpIsAvailable());
  EXPECT_NE(GetModuleHandleW(L"gdiplus.dll"), nullptr);
}

TEST_F(dxGpUnbound, MissingLibraryOrNameLeavesItUnavailableWithoutRaising)
{
  unit_dxGDIPlusAPI.initialization();
  dxGpSetLibraryNameForTests(L"kvnosuchlibrary.dll");
  EXPECT_FALSE(dxGpIsAvailable());
  EXPECT_FALSE(dxGpIsAvailable());
  EXPECT_EQ(dxGpBinding.Library, nullptr);

  // A module without the first name: loaded, nothing bound, unavailable.
  dxGpSetLibraryNameForTests(L"kernel32.dll");
  EXPECT_FALSE(dxGpIsAvailable());
  EXPECT_NE(dxGpBinding.Library, nullptr);
  EXPECT_EQ(dxGpFunctions.GdipAlloc, nullptr);
  EXPECT_EQ(dxGpFunctions.GdipEmfToWmfBits, nullptr);
  EXPECT_EQ(dxGpBinding.NotificationHook, nullptr);
  EXPECT_FALSE(dxGpIsAvailable());

  dxGpSetLibraryNameForTests(nullptr);
  EXPECT_TRUE(dxGpIsAvailable());
}

// --------------------------------------------------------------------------
// Status codes

TEST(dxGpStatus, StatusBecomesTheExceptionMessage)
{
  EXPECT_NO_THROW(dxGpCheck(Ok));
  struct Case {
    Status Code;
    DWORD LastError;
    const wchar_t* Message;
  };
  const Case cases[] = {
      {GenericError, 0, L"Invalid operation in GDI+ (Code: 1)"},
      {InvalidParameter, 5, L"Invalid operation in GDI+ (Code: 2)"},
      {NotImplemented, 0, L"Invalid operation in GDI+ (Code: 6)"},
      {Win32Error, 0, L"Invalid operation in GDI+ (Code: 7)"},
      {Win32Error, 5, L"Invalid operation in GDI+ (Win32 error code: 5)"},
      {PropertyNotSupported, 0, L"Invalid operation in GDI+ (Code: 20)"},
  };
  for (const Case& c : cases) {
    SetLastError(c.LastError);
    try {
      dxGpCheck(c.Code);
      ADD_FAILURE() << "no exception for " << c.Code;
    } catch (const EdxGdipException& E) {
      EXPECT_EQ(E.Message(), c.Message);
      EXPECT_EQ(E.GetStatus(), c.Code);
      EXPECT_STREQ(E.ClassName(), L"EdxGdipException");
    }
  }
  // It is one of the library's own exceptions.
  EXPECT_THROW(dxGpCheck(OutOfMemory), EdxException);
}

// --------------------------------------------------------------------------
// Records

TEST(dxGpRecords, RectanglesConvert)
{
  const TdxGpRectF fromRect = TRect{1, 2, 11, 22};
  EXPECT_EQ(fromRect, (TdxGpRectF{1, 2, 10, 20}));
  const TdxGpRectF fromRectF = TdxRectF{1.5f, 2, 4, 8};
  EXPECT_EQ(fromRectF, (TdxGpRectF{1.5f, 2, 2.5f, 6}));
  const TRect truncated = TdxGpRectF{1.7f, 2.2f, 3.9f, 4.5f};
  EXPECT_EQ(truncated.left, 1);
  EXPECT_EQ(truncated.top, 2);
  EXPECT_EQ(truncated.right, 4);
  EXPECT_EQ(truncated.bottom, 6);
  const TdxRectF corners = TdxGpRectF{1, 2, 3, 4};
  EXPECT_EQ(corners.Right, 4);
  EXPECT_EQ(corners.Bottom, 6);
  EXPECT_EQ(TdxGpRectF::Empty(), (TdxGpRectF{0, 0, 0, 0}));
  const float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_FALSE((TdxGpRectF{nan, 0, 0, 0}) == (TdxGpRectF{nan, 0, 0, 0}));
  EXPECT_EQ(TdxGpRect(TRect{-1, 2, 4, 3}), (TdxGpRect{-1, 2, 5, 1}));
}

// --------------------------------------------------------------------------
// Bitmaps, image formats and codecs

// A native image disposed at the end of the scope.
struct TImageDeleter {
  void operator()(Gdiplus::GpImage* AImage) const { dxGpFunctions.GdipDisposeImage(AImage); }
};
using TOwnedImage = std::unique_ptr<Gdiplus::GpImage, TImageDeleter>;

TEST(dxGpImages, BitmapOfSizeAndItsFormat)
{
  ASSERT_TRUE(dxGpIsAvailable());
  TOwnedImage bitmap(dxGpCreateBitmapForRect(TRect{10, 10, 14, 13}));
  UINT width = 0, height = 0;
  Gdiplus::PixelFormat format = 0;
  dxGpCheck(dxGpFunctions.GdipGetImageWidth(bitmap.get(), &width));
  dxGpCheck(dxGpFunctions.GdipGetImageHeight(bitmap.get(), &height));
  dxGpCheck(dxGpFunctions.GdipGetImagePixelFormat(bitmap.get(), &format));
  EXPECT_EQ(width, 4u);
  EXPECT_EQ(height, 3u);
  EXPECT_EQ(format, static_cast<Gdiplus::PixelFormat>(PixelFormat32bppPARGB));
  EXPECT_EQ(dxGpGetImageFormat(bitmap.get()), dxImageMemoryBmp);
  EXPECT_EQ(dxGpGetImageFormat(nullptr), dxImageUnknown);
  EXPECT_THROW(dxGpCreateBitmap(0, 3), EdxGdipException);
}

TEST(dxGpImages, SavedAsPngReadsBackAsPng)
{
  ASSERT_TRUE(dxGpIsAvailable());
  dxGpLoadCodecIDs();
  CLSID encoder;
  dxGetImageEncoder(dxImagePng, encoder);
  TOwnedImage bitmap(dxGpCreateBitmapForSize(TSize{2, 2}));
  IStream* stream = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
  dxGpCheck(dxGpFunctions.GdipSaveImageToStream(bitmap.get(), stream, &encoder, nullptr));
  LARGE_INTEGER start{};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  Gdiplus::GpImage* loaded = nullptr;
  dxGpCheck(dxGpFunctions.GdipLoadImageFromStream(stream, &loaded));
  TOwnedImage image(loaded);
  EXPECT_EQ(dxGpGetImageFormat(image.get()), dxImagePng);
  image.reset();
  stream->Release();
}

bool IsSet(const CLSID& AId)
{
  return AId != CLSID{};
}

TEST(dxGpCodecs, SlotsFilledFromTheLibrary)
{
  ASSERT_TRUE(dxGpIsAvailable());
  dxGpLoadCodecIDs();
  for (TdxGpCodecMimeType type : {gpcPng, gpcBmp, gpcGif, gpcJpeg, gpcTiff}) {
    EXPECT_TRUE(IsSet(dxGpCodecIDs.Encoders[type])) << type;
    EXPECT_TRUE(IsSet(dxGpCodecIDs.Decoders[type])) << type;
  }
  for (TdxGpCodecMimeType type : {gpcEmf, gpcWmf, gpcIcon}) {
    EXPECT_FALSE(IsSet(dxGpCodecIDs.Encoders[type])) << type;
    EXPECT_TRUE(IsSet(dxGpCodecIDs.Decoders[type])) << type;
  }
}

int CodecQueries;

Status WINAPI CountingEncodersSize(UINT* ACount, UINT* ASize)
{
  ++CodecQueries;
  *ACount = 0;
  *ASize = 0;
  return Ok;
}

Status WINAPI CountingDecodersSize(UINT* ACount, UINT* ASize)
{
  return CountingEncodersSize(ACount, ASize);
}

// Replaces the codec queries by ones that count and find nothing, and puts
// the library's back afterwards.
class dxGpCodecFakes : public testing::Test {
 protected:
  void SetUp() override
  {
    ASSERT_TRUE(dxGpIsAvailable());
    dxGpLoadCodecIDs();
    FSaved = dxGpFunctions;
    CodecQueries = 0;
    dxGpFunctions.GdipGetImageEncodersSize = &CountingEncodersSize;
    dxGpFunctions.GdipGetImageDecodersSize = &CountingDecodersSize;
  }
  void TearDown() override
  {
    dxGpFunctions = FSaved;
    dxGpLoadCodecIDs();
  }
  TdxGpFunctions FSaved;
};

TEST_F(dxGpCodecFakes, SlotsAlreadySetAreNotLookedUpAgain)
{
  dxGpCodecIDs.Decoders[gpcIcon] = CLSID{};
  dxGpLoadCodecIDs();
  // Only the cleared slot asked, found nothing and stays zero.
  EXPECT_EQ(CodecQueries, 1);
  EXPECT_FALSE(IsSet(dxGpCodecIDs.Decoders[gpcIcon]));
}

TEST_F(dxGpCodecFakes, MissingPngCodecRaisesGenericError)
{
  dxGpCodecIDs = TdxGpCodecIDs{};
  try {
    dxGpLoadCodecIDs();
    ADD_FAILURE() << "no exception";
  } catch (const EdxGdipException& E) {
    EXPECT_EQ(E.GetStatus(), GenericError);
    EXPECT_EQ(E.Message(), L"Invalid operation in GDI+ (Code: 1)");
  }
  EXPECT_EQ(CodecQueries, 1);
}

TEST(dxGpCodecs, EncoderByDataFormat)
{
  ASSERT_TRUE(dxGpIsAvailable());
  dxGpLoadCodecIDs();
  const auto& encoders = dxGpCodecIDs.Encoders;
  const std::pair<TdxImageDataFormat, CLSID> cases[] = {
      {dxImageBitmap, encoders[gpcBmp]}, {dxImageMemoryBmp, encoders[gpcBmp]}, {dxImageJpeg, encoders[gpcJpeg]},
      {dxImagePng, encoders[gpcPng]},    {dxImageTiff, encoders[gpcTiff]},     {dxImageGif, encoders[gpcGif]},
      {dxImageEmf, CLSID{}},             {dxImageIcon, CLSID{}},               {dxImageWmf, CLSID{}},
  };
  for (const auto& [format, expected] : cases) {
    CLSID id;
    std::memset(&id, 0xCC, sizeof(id));
    dxGetImageEncoder(format, id);
    EXPECT_EQ(id, expected) << format;
  }
  for (TdxImageDataFormat format : {dxImageUnknown, dxImageExif}) {
    CLSID id;
    try {
      dxGetImageEncoder(format, id);
      ADD_FAILURE() << "no exception for " << format;
    } catch (const EdxGdipException&) {
      ADD_FAILURE() << "a status exception for " << format;
    } catch (const EdxException& E) {
      EXPECT_EQ(E.Message(), L"dxGetImageEncoder fails");
    }
  }
}

// --------------------------------------------------------------------------
// TdxGpBase

int Allocations;
int Releases;

void* WINAPI CountingAlloc(size_t ASize)
{
  ++Allocations;
  return HeapAlloc(GetProcessHeap(), 0, ASize);
}

void WINAPI CountingFree(void* ABlock)
{
  ++Releases;
  HeapFree(GetProcessHeap(), 0, ABlock);
}

class TTestGpObject : public TdxGpBase {
  RTL_CLASS(TTestGpObject, TdxGpBase)

 public:
  void Create(bool AFail)
  {
    FValue = 1.5;
    if (AFail)
      throw EdxException(L"cannot");
  }

 private:
  double FValue;
};

// Counts the library allocator's calls; the real library stays bound.
class dxGpBaseAllocation : public testing::Test {
 protected:
  void SetUp() override
  {
    ASSERT_TRUE(dxGpIsAvailable());
    FSaved = dxGpFunctions;
    Allocations = 0;
    Releases = 0;
    dxGpFunctions.GdipAlloc = &CountingAlloc;
    dxGpFunctions.GdipFree = &CountingFree;
  }
  void TearDown() override
  {
    dxGpFunctions = FSaved;
    dxGpBinding.Available = true;
  }
  TdxGpFunctions FSaved;
};

TEST_F(dxGpBaseAllocation, MemoryComesFromAndReturnsToItsAllocator)
{
  struct Case {
    const char* Name;
    bool AvailableAtCreation;
    bool AvailableAtFree;
    int ExpectedAllocations;
  };
  const Case cases[] = {
      {"library", true, true, 1},
      // Reported unavailable later: the memory still goes back to the
      // library.
      {"library, unavailable later", true, false, 1},
      {"ordinary", false, false, 0},
      {"ordinary, available later", false, true, 0},
  };
  for (const Case& c : cases) {
    Allocations = 0;
    Releases = 0;
    dxGpBinding.Available = c.AvailableAtCreation;
    TTestGpObject* object = rtl::New<TTestGpObject>(false);
    EXPECT_EQ(object->IsGpUsed(), c.AvailableAtCreation) << c.Name;
    dxGpBinding.Available = c.AvailableAtFree;
    rtl::Free(object);
    EXPECT_EQ(Allocations, c.ExpectedAllocations) << c.Name;
    EXPECT_EQ(Releases, c.ExpectedAllocations) << c.Name;
  }
}

TEST_F(dxGpBaseAllocation, FailedConstructionReturnsTheLibraryMemory)
{
  EXPECT_THROW(rtl::New<TTestGpObject>(true), EdxException);
  EXPECT_EQ(Allocations, 1);
  EXPECT_EQ(Releases, 1);
}

TEST(dxGpBase, RealLibraryAllocator)
{
  ASSERT_TRUE(dxGpIsAvailable());
  TTestGpObject* object = rtl::New<TTestGpObject>(false);
  EXPECT_TRUE(object->IsGpUsed());
  rtl::Free(object);
}

}  // namespace
