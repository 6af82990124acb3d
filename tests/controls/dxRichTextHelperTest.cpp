#include "controls/dxRichTextHelper.h"

#include <gtest/gtest.h>

#include <string>

#include "core/cxGeometry.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "platform/rtl/ClassesStreams.h"
#include "platform/vcl/ComCtrls.h"
#include "tests/controls/ControlsTestSupport.h"

namespace {

// Remembers the encoding each text reached the editor in.
class TRichTextTestHelper : public TdxRichTextHelper {
  RTL_CLASS(TRichTextTestHelper, TdxRichTextHelper)

 public:
  rtl::TEncoding* LastEncoding = nullptr;

 protected:
  void LoadLines(rtl::TStream* AStream, rtl::TEncoding* AEncoding) override
  {
    LastEncoding = AEncoding;
    inherited::LoadLines(AStream, AEncoding);
  }
};

class dxRichTextHelperTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    FHelper.reset(rtl::New<TRichTextTestHelper>());
    FBitmap.reset(rtl::NewWith<TcxBitmap>([](TcxBitmap* B) { B->CreateSize(300, 400); }));
    FBitmap->GetCanvas()->GetFont()->SetName(L"Tahoma");
    FBitmap->GetCanvas()->GetFont()->SetSize(10);
  }

  int Measure(const std::wstring& AText, TdxScaleFactor* AFactor = nullptr)
  {
    FHelper->Init(FBitmap->GetCanvas(), AText, AFactor);
    TRect r{10, 20, 210, 20};
    FHelper->CalculateTextHeight(FBitmap->GetCanvas(), r);
    EXPECT_EQ(r.top, 20);
    return r.bottom - r.top;
  }

  rtl::TOwnedPtr<TRichTextTestHelper> FHelper;
  rtl::TOwnedPtr<TcxBitmap> FBitmap;
};

TEST_F(dxRichTextHelperTest, RichTextIsLoadedInTheAnsiCodePageAndAnythingElseAsUtf16)
{
  struct {
    const wchar_t* Text;
    rtl::TEncoding* Expected;
  } const cases[] = {
      {L"{\\rtf1\\ansi Bold {\\b text}}", rtl::TEncoding::ANSI()},
      {L"{\\RTF1\\ansi Bold}", rtl::TEncoding::Unicode()},
      {L"Plain \u00e9t\u00e9", rtl::TEncoding::Unicode()},
      {L"", rtl::TEncoding::Unicode()},
  };
  for (const auto& c : cases) {
    FHelper->Init(FBitmap->GetCanvas(), c.Text, nullptr);
    EXPECT_EQ(FHelper->LastEncoding, c.Expected) << static_cast<int>(&c - cases);
  }
  FHelper->Init(FBitmap->GetCanvas(), L"{\\rtf1\\ansi Bold {\\b text}}", nullptr);
  EXPECT_EQ(FHelper->GetRichEdit()->GetLines()->GetText().find(L"{\\rtf"), std::wstring::npos)
      << "rich text is read as such, not shown as its source";
}

TEST_F(dxRichTextHelperTest, MeasuresInOneInchBandsAndNothingForNoText)
{
  EXPECT_EQ(Measure(L""), 0);
  const int line = Measure(L"One line");
  EXPECT_GT(line, 0);
  std::wstring tall;
  for (int i = 0; i < 30; ++i)
    tall += L"Line\r\n";
  tall += L"Last";
  const int height = Measure(tall);
  EXPECT_GT(height, 96) << "taller than one inch";
  EXPECT_NEAR(height, 31 * line, line) << "the bands add up to the lines";
}

TEST_F(dxRichTextHelperTest, AScaleOtherThanOneMapsTheDeviceContextAndRestoresIt)
{
  rtl::TOwnedPtr<TdxScaleFactor> twice(rtl::New<TdxScaleFactor>());
  twice->Assign(2, 1, false);
  const int line = Measure(L"One line");
  const int scaled = Measure(L"One line", twice.get());
  EXPECT_NEAR(scaled, 2 * line, 2);

  const HDC dc = FBitmap->GetCanvas()->GetHandle();
  FHelper->DrawText(FBitmap->GetCanvas(), {10, 20, 210, 100});
  EXPECT_EQ(GetMapMode(dc), MM_TEXT);
  POINT origin{-1, -1};
  GetViewportOrgEx(dc, &origin);
  EXPECT_EQ(origin, (POINT{0, 0}));
}

}  // namespace
