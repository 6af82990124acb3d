#include <gtest/gtest.h>

#include <vector>

#include "platform/vcl/Graphics.h"

using enum vcl::TBrushStyle;
using enum vcl::TFontPitch;
using enum vcl::TFontQuality;
using enum vcl::TFontStyle;
using enum vcl::TPenMode;
using enum vcl::TPenStyle;

using namespace vcl;

namespace {

template <class T>
using Owned = rtl::TOwnedPtr<T>;

class ObjectsChangeCounter : public rtl::TObject {
  RTL_CLASS(ObjectsChangeCounter, rtl::TObject)

 public:
  int Count = 0;
  void Changed(rtl::TObject*) { ++Count; }
};

TEST(GraphicsFont, NewFontHasTheFrameworkDefaults)
{
  const Owned<TFont> font(rtl::New<TFont>());
  EXPECT_EQ(font->GetName(), L"Tahoma");
  EXPECT_EQ(font->GetPixelsPerInch(), ScreenLogPixels());
  EXPECT_EQ(font->GetSize(), 8);
  EXPECT_EQ(font->GetHeight(), -MulDiv(8, font->GetPixelsPerInch(), 72));
  if (font->GetPixelsPerInch() == 96) {
    EXPECT_EQ(font->GetHeight(), -11);
  }
  EXPECT_EQ(font->GetColor(), clWindowText);
  EXPECT_EQ(font->GetCharset(), DEFAULT_CHARSET);
  EXPECT_TRUE(font->GetStyle().Empty());
  EXPECT_EQ(font->GetPitch(), fpDefault);
  EXPECT_EQ(font->GetOrientation(), 0);
  EXPECT_EQ(font->GetQuality(), fqDefault);
}

TEST(GraphicsFont, PropertiesReachTheLogFontOfTheHandle)
{
  const Owned<TFont> font(rtl::New<TFont>());
  font->SetName(L"Courier New");
  font->SetHeight(-20);
  font->SetStyle({fsBold, fsItalic, fsUnderline, fsStrikeOut});
  font->SetCharset(RUSSIAN_CHARSET);
  font->SetOrientation(900);
  font->SetQuality(fqClearType);
  font->SetPitch(fpFixed);

  LOGFONTW logFont{};
  ASSERT_NE(GetObjectW(font->GetHandle(), sizeof(logFont), &logFont), 0);
  EXPECT_STREQ(logFont.lfFaceName, L"Courier New");
  EXPECT_EQ(logFont.lfHeight, -20);
  EXPECT_EQ(logFont.lfWeight, FW_BOLD);
  EXPECT_TRUE(logFont.lfItalic && logFont.lfUnderline && logFont.lfStrikeOut);
  EXPECT_EQ(logFont.lfCharSet, RUSSIAN_CHARSET);
  EXPECT_EQ(logFont.lfEscapement, 900);
  EXPECT_EQ(logFont.lfOrientation, 900);
  EXPECT_EQ(logFont.lfQuality, CLEARTYPE_QUALITY);
  EXPECT_EQ(logFont.lfPitchAndFamily & 3, FIXED_PITCH);
}

TEST(GraphicsFont, SettingTheHandleReadsTheFontBackAndKeepsThatHandle)
{
  LOGFONTW logFont{};
  logFont.lfHeight = -16;
  logFont.lfWeight = FW_BOLD;
  logFont.lfItalic = TRUE;
  logFont.lfCharSet = GREEK_CHARSET;
  logFont.lfEscapement = 450;
  logFont.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  lstrcpyW(logFont.lfFaceName, L"Arial");
  const HFONT handle = CreateFontIndirectW(&logFont);

  const Owned<TFont> font(rtl::New<TFont>());
  font->SetHandle(handle);
  EXPECT_EQ(font->GetHandle(), handle);
  EXPECT_EQ(font->GetName(), L"Arial");
  EXPECT_EQ(font->GetHeight(), -16);
  EXPECT_EQ(font->GetStyle(), (TFontStyles{fsBold, fsItalic}));
  EXPECT_EQ(font->GetCharset(), GREEK_CHARSET);
  EXPECT_EQ(font->GetOrientation(), 450);

  // A copy keeps what no property shows (the output precision).
  const Owned<TFont> copy(rtl::New<TFont>());
  copy->Assign(font.get());
  LOGFONTW copied{};
  GetObjectW(copy->GetHandle(), sizeof(copied), &copied);
  EXPECT_EQ(copied.lfOutPrecision, OUT_TT_ONLY_PRECIS);

  font->SetHandle(handle);
  EXPECT_EQ(GetObjectType(handle), static_cast<DWORD>(OBJ_FONT)) << "setting its own handle again keeps it";
  font->SetHeight(-17);
  EXPECT_EQ(GetObjectType(handle), 0u) << "the font owns the handle it was given and frees it on change";
}

TEST(GraphicsFont, SizeConvertsThroughPixelsPerInchAndAssignKeepsThePointSize)
{
  const Owned<TFont> source(rtl::New<TFont>());
  source->SetPixelsPerInch(96);
  source->SetSize(12);
  EXPECT_EQ(source->GetHeight(), -16);

  const Owned<TFont> scaled(rtl::New<TFont>());
  scaled->SetPixelsPerInch(144);
  scaled->Assign(source.get());
  EXPECT_EQ(scaled->GetSize(), 12);
  EXPECT_EQ(scaled->GetHeight(), -24);
}

TEST(GraphicsFont, PublishesItsPropertiesForForms)
{
  const Owned<TFont> font(rtl::New<TFont>());
  rtl::SetOrdProp(font.get(), L"Color", clBtnFace);
  rtl::SetOrdProp(font.get(), L"Height", -13);
  rtl::SetOrdProp(font.get(), L"Style", TFontStyles{fsBold, fsUnderline}.ToOrd());
  EXPECT_EQ(font->GetColor(), clBtnFace);
  EXPECT_EQ(font->GetHeight(), -13);
  EXPECT_EQ(font->GetStyle(), (TFontStyles{fsBold, fsUnderline}));
  EXPECT_EQ(rtl::GetEnumProp(font.get(), L"Pitch"), L"fpDefault");
  EXPECT_EQ(rtl::GetSetProp(font.get(), rtl::GetPropInfo(font.get(), L"Style")), L"fsBold,fsUnderline");
  EXPECT_FALSE(rtl::IsStoredProp(font.get(), rtl::GetPropInfo(font.get(), L"Size"))) << "Height carries the size";
  EXPECT_TRUE(rtl::IsStoredProp(font.get(), rtl::GetPropInfo(font.get(), L"Height")));
}

TEST(GraphicsObjects, HandleIsCachedUntilAChangeAndChangesAreReported)
{
  const Owned<ObjectsChangeCounter> counter(rtl::New<ObjectsChangeCounter>());
  const Owned<TFont> font(rtl::New<TFont>());
  font->SetOnChange(rtl::TNotifyEvent::Bind<&ObjectsChangeCounter::Changed>(counter.get()));

  const HFONT first = font->GetHandle();
  EXPECT_EQ(font->GetHandle(), first);
  font->SetColor(clRed);  // not part of the font object
  EXPECT_TRUE(font->HandleAllocated());
  EXPECT_EQ(font->GetHandle(), first);
  font->SetName(L"Tahoma");  // unchanged
  EXPECT_EQ(counter->Count, 1);
  font->SetSize(20);
  EXPECT_FALSE(font->HandleAllocated());
  EXPECT_EQ(counter->Count, 2);

  const Owned<TBrush> brush(rtl::New<TBrush>());
  brush->SetOnChange(rtl::TNotifyEvent::Bind<&ObjectsChangeCounter::Changed>(counter.get()));
  brush->GetHandle();
  brush->SetColor(clWhite);
  EXPECT_TRUE(brush->HandleAllocated());
  brush->SetColor(clBlue);
  EXPECT_FALSE(brush->HandleAllocated());
  EXPECT_EQ(counter->Count, 3);

  const Owned<TPen> pen(rtl::New<TPen>());
  pen->SetOnChange(rtl::TNotifyEvent::Bind<&ObjectsChangeCounter::Changed>(counter.get()));
  pen->GetHandle();
  pen->SetMode(pmXor);  // the DC's ROP2, not the pen's
  EXPECT_TRUE(pen->HandleAllocated());
  pen->SetWidth(3);
  EXPECT_FALSE(pen->HandleAllocated());
  EXPECT_EQ(counter->Count, 5);
}

TEST(GraphicsObjects, NoGdiObjectOutlivesItsOwner)
{
  const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  for (int i = 0; i < 100; ++i) {
    std::vector<HGDIOBJ> made;
    TFont* font = rtl::New<TFont>();
    made.push_back(font->GetHandle());
    font->SetHeight(-10 - i % 5);
    made.push_back(font->GetHandle());
    TBrush* brush = rtl::New<TBrush>();
    made.push_back(brush->GetHandle());
    brush->SetStyle(bsCross);
    made.push_back(brush->GetHandle());
    TPen* pen = rtl::New<TPen>();
    made.push_back(pen->GetHandle());
    pen->SetColor(clRed);
    made.push_back(pen->GetHandle());
    rtl::Free(font);
    rtl::Free(brush);
    rtl::Free(pen);
    for (HGDIOBJ object : made)
      ASSERT_EQ(GetObjectType(object), 0u) << "pass " << i;
  }
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before);
}

TEST(GraphicsBrush, HandleReadsStyleAndColourBack)
{
  struct Row {
    HBRUSH Handle;
    TBrushStyle Style;
    TColor Color;
  };
  const Row rows[] = {
      {CreateSolidBrush(RGB(1, 2, 3)), bsSolid, 0x030201},
      {CreateHatchBrush(HS_CROSS, RGB(255, 0, 0)), bsCross, clRed},
      {CreateHatchBrush(HS_BDIAGONAL, RGB(0, 0, 255)), bsBDiagonal, clBlue},
  };
  for (const Row& row : rows) {
    const Owned<TBrush> brush(rtl::New<TBrush>());
    brush->SetHandle(row.Handle);
    EXPECT_EQ(brush->GetStyle(), row.Style);
    EXPECT_EQ(brush->GetColor(), row.Color);
    EXPECT_EQ(brush->GetHandle(), row.Handle);
  }

  const Owned<TBrush> brush(rtl::New<TBrush>());
  brush->SetStyle(bsClear);
  LOGBRUSH logBrush{};
  GetObjectW(brush->GetHandle(), sizeof(logBrush), &logBrush);
  EXPECT_EQ(logBrush.lbStyle, static_cast<UINT>(BS_NULL));
  brush->SetColor(clRed);
  EXPECT_EQ(brush->GetStyle(), bsSolid) << "a colour makes a clear brush solid";
  brush->SetStyle(bsDiagCross);
  GetObjectW(brush->GetHandle(), sizeof(logBrush), &logBrush);
  EXPECT_EQ(logBrush.lbStyle, static_cast<UINT>(BS_HATCHED));
  EXPECT_EQ(logBrush.lbHatch, static_cast<ULONG_PTR>(HS_DIAGCROSS));
}

TEST(GraphicsPen, HandleAndModes)
{
  const Owned<TPen> pen(rtl::New<TPen>());
  EXPECT_EQ(pen->GetColor(), clBlack);
  EXPECT_EQ(pen->GetWidth(), 1);
  EXPECT_EQ(pen->GetStyle(), psSolid);
  EXPECT_EQ(pen->GetMode(), pmCopy);

  pen->SetHandle(CreatePen(PS_DASH, 1, RGB(0, 0, 255)));
  EXPECT_EQ(pen->GetStyle(), psDash);
  EXPECT_EQ(pen->GetColor(), clBlue);
  pen->SetStyle(psClear);
  LOGPEN logPen{};
  GetObjectW(pen->GetHandle(), sizeof(logPen), &logPen);
  EXPECT_EQ(logPen.lopnStyle, static_cast<UINT>(PS_NULL));

  for (int mode = pmBlack; mode <= pmNotXor; ++mode)
    EXPECT_EQ(PenModeFromROP2(PenModes[mode]), mode);
  EXPECT_EQ(PenModeFromROP2(0), pmCopy);
  EXPECT_EQ(PenModeFromROP2(99), pmCopy);
}

}  // namespace
