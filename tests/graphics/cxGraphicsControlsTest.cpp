#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "graphics/cxGraphicsControls.h"
#include "graphics/cxGraphicsDraw.h"
#include "platform/vcl/Controls.h"
#include "tests/platform/vcl/GraphicsTestSupport.h"
#include "tests/support/TestHost.h"

using enum TcxRotationAngle;

using namespace vcl;
using rtl::String;
using vcltest::AsPixel;
using vcltest::TSurface;

namespace {

constexpr std::uint32_t ControlsWhite = 0xFFFFFF;
constexpr TColor ControlsRed = 0x0000FF;
constexpr TColor ControlsGreen = 0x00FF00;
constexpr TColor ControlsBlue = 0xFF0000;
constexpr TColor Yellow = 0x00FFFF;

// A platform canvas on a DC wrapped by a TcxCanvas, both freed at the end
// of the scope.
struct TCtlPaintWrapped {
  explicit TCtlPaintWrapped(HDC ADC)
      : Canvas(rtl::NewWith<TCanvas>([&](TCanvas* C) {
          C->Create();
          C->SetHandle(ADC);
        })),
        Wrapper(rtl::New<TcxCanvas>(Canvas.get()))
  {
  }
  TcxCanvas* operator->() const { return Wrapper.get(); }
  TcxCanvas* get() const { return Wrapper.get(); }
  rtl::TOwnedPtr<TCanvas> Canvas;
  rtl::TOwnedPtr<TcxCanvas> Wrapper;
};

rtl::TOwnedPtr<TFont> MakeFont(int ASize)
{
  rtl::TOwnedPtr<TFont> font(rtl::New<TFont>());
  font->SetName(L"Arial");
  font->SetSize(ASize);
  return font;
}

// The bounds of the pixels that differ from the background.
TRect InkBounds(const TSurface& S, std::uint32_t ABackground = ControlsWhite)
{
  TRect R{S.Width(), S.Height(), -1, -1};
  for (int y = 0; y < S.Height(); ++y)
    for (int x = 0; x < S.Width(); ++x)
      if (S.Pixel(x, y) != ABackground) {
        R.left = std::min<LONG>(R.left, x);
        R.top = std::min<LONG>(R.top, y);
        R.right = std::max<LONG>(R.right, x + 1);
        R.bottom = std::max<LONG>(R.bottom, y + 1);
      }
  return R;
}

// GetTextExtentPoint32 of the text in AFont on a fresh screen DC.
SIZE DirectExtent(TFont* AFont, const String& AText)
{
  HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, AFont->GetHandle());
  SIZE size{};
  GetTextExtentPoint32W(dc, AText.c_str(), static_cast<int>(AText.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size;
}

// ---------------------------------------------------------------------------
// Measuring

TEST(cxGraphicsControlsMeasure, TextExtentsMatchThePlatformOnTheSameFont)
{
  const auto font = MakeFont(12);
  TSurface surface(10, 10);
  const HGDIOBJ old = SelectObject(surface.DC(), font->GetHandle());
  const struct {
    const wchar_t* Text;
    int Length;
    int Measured;
  } cases[] = {{L"Hello world", -1, 11}, {L"Hello world", 5, 5}, {L"W", -1, 1}, {L"", -1, 0}, {L"ab", 9, 2}};
  for (const auto& c : cases) {
    SIZE expected{};
    GetTextExtentPoint32W(surface.DC(), c.Text, c.Measured, &expected);
    SIZE actual{-1, -1};
    EXPECT_TRUE(cxGetTextExtentPoint(surface.DC(), c.Text, actual, c.Length)) << c.Text;
    EXPECT_EQ(actual.cx, expected.cx) << c.Text << " " << c.Length;
    EXPECT_EQ(actual.cy, expected.cy) << c.Text << " " << c.Length;
  }
  TEXTMETRICW metrics{};
  GetTextMetricsW(surface.DC(), &metrics);
  EXPECT_EQ(cxGetDCTextHeight(surface.DC()), metrics.tmHeight);
  SIZE single{};
  GetTextExtentPoint32W(surface.DC(), L"Hello world", 11, &single);
  const SIZE size = cxMeasureTextSize(surface.DC(), L"Hello world");
  EXPECT_EQ(size.cx, single.cx);
  EXPECT_EQ(size.cy, metrics.tmHeight);
  SelectObject(surface.DC(), old);
}

TEST(cxGraphicsControlsMeasure, TheScreenCanvasFormsMeasureInTheFontAndGoDormant)
{
  for (int fontSize : {8, 12, 20}) {
    const auto font = MakeFont(fontSize);
    const auto bigger = MakeFont(fontSize + 6);
    const String text = L"Measured text";
    const SIZE expected = DirectExtent(font.get(), text);
    const SIZE extent = cxMeasureTextExtent(font.get(), text);
    EXPECT_EQ(extent.cx, expected.cx) << fontSize;
    EXPECT_EQ(extent.cy, expected.cy) << fontSize;
    EXPECT_EQ(cxMeasureTextWidth(font.get(), text), expected.cx);
    // Another size measures as that size and leaves the font alone.
    EXPECT_EQ(cxMeasureTextWidth(font.get(), text, fontSize + 6), DirectExtent(bigger.get(), text).cx);
    EXPECT_EQ(font->GetSize(), fontSize);

    TEXTMETRICW metrics{};
    ASSERT_TRUE(cxGetFontTextMetrics(font.get(), metrics));
    EXPECT_EQ(metrics.tmHeight, expected.cy);
    EXPECT_EQ(cxGetFontTextHeight(font.get()), metrics.tmHeight);
    const SIZE rect = cxMeasureTextRect(font.get(), L"two\nlines", 0);
    EXPECT_EQ(rect.cy, 2 * metrics.tmHeight);
    EXPECT_FALSE(cxScreenCanvas()->HandleAllocated()) << "the screen DC goes back after measuring";
  }
}

TEST(cxGraphicsControlsMeasure, HandleRecordsAreReadAndFailForFreedHandles)
{
  const auto font = MakeFont(15);
  LOGFONTW logFont{};
  ASSERT_TRUE(cxGetLogFont(font->GetHandle(), logFont));
  EXPECT_STREQ(logFont.lfFaceName, L"Arial");

  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  HPEN pen = CreatePen(PS_SOLID, 3, RGB(4, 5, 6));
  HBITMAP bitmap = CreateBitmap(7, 9, 1, 32, nullptr);
  LOGBRUSH logBrush{};
  LOGPEN logPen{};
  BITMAP bitmapData{};
  ASSERT_TRUE(cxGetBrushData(brush, logBrush));
  ASSERT_TRUE(cxGetPenData(pen, logPen));
  ASSERT_TRUE(cxGetBitmapData(bitmap, bitmapData));
  EXPECT_EQ(logBrush.lbColor, RGB(1, 2, 3));
  EXPECT_EQ(logPen.lopnWidth.x, 3);
  EXPECT_EQ(bitmapData.bmWidth, 7);
  EXPECT_EQ(bitmapData.bmHeight, 9);
  DeleteObject(brush);
  DeleteObject(pen);
  DeleteObject(bitmap);
  EXPECT_FALSE(cxGetBrushData(brush, logBrush));
  EXPECT_FALSE(cxGetPenData(pen, logPen));
  EXPECT_FALSE(cxGetBitmapData(bitmap, bitmapData));
  EXPECT_EQ(logBrush.lbColor, 0u) << "the record is cleared on failure";
}

TEST(cxGraphicsControlsMeasure, FontsAreRecreatedWithoutAntialiasingAndReset)
{
  const auto font = MakeFont(14);
  font->SetColor(ControlsRed);
  const HFONT before = font->GetHandle();
  cxSetFontNonAntialiased(font.get());
  LOGFONTW logFont{};
  ASSERT_TRUE(cxGetLogFont(font->GetHandle(), logFont));
  EXPECT_EQ(logFont.lfQuality, NONANTIALIASED_QUALITY);
  EXPECT_STREQ(logFont.lfFaceName, L"Arial");
  EXPECT_EQ(GetObjectType(before), 0u) << "the old font handle is freed";

  cxResetFont(font.get());
  const auto fresh = rtl::TOwnedPtr<TFont>(rtl::New<TFont>());
  EXPECT_EQ(font->GetName(), fresh->GetName());
  EXPECT_EQ(font->GetSize(), fresh->GetSize());
  EXPECT_EQ(font->GetColor(), fresh->GetColor());
}

// ---------------------------------------------------------------------------
// Rectangles for a number of lines

class cxGraphicsControlsLines : public ::testing::Test {
 protected:
  void SetUp() override
  {
    FFont = MakeFont(12);
    FOld = SelectObject(FSurface.DC(), FFont->GetHandle());
    FLineHeight = cxGetDCTextHeight(FSurface.DC());
  }
  void TearDown() override { SelectObject(FSurface.DC(), FOld); }

  // The height DrawText wraps the text into at AWidth.
  int WrappedHeight(const String& AText, int AWidth)
  {
    TRect R{0, 0, AWidth, 1};
    DrawTextW(FSurface.DC(), AText.c_str(), -1, &R, DT_CALCRECT | DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK);
    return R.bottom;
  }
  int Width(const String& AText) { return cxMeasureTextSize(FSurface.DC(), AText).cx; }

  TSurface FSurface{10, 10};
  rtl::TOwnedPtr<TFont> FFont;
  HGDIOBJ FOld = nullptr;
  int FLineHeight = 0;
};

TEST_F(cxGraphicsControlsLines, TheNarrowestRectangleForALineCount)
{
  const String text = L"one two three four five six seven eight";
  for (int lines : {2, 3, 4}) {
    TRect R{1, 2, 3, 4};
    cxCalcTextRectForLines(FSurface.DC(), text, lines, R);
    EXPECT_EQ(R.left, 0);
    EXPECT_EQ(R.top, 0);
    EXPECT_LE(R.bottom, lines * FLineHeight) << lines;
    EXPECT_GT(WrappedHeight(text, R.right - 1), lines * FLineHeight) << lines << ": one pixel less needs more lines";
    EXPECT_LT(R.right, Width(text));
  }
  TRect single{};
  cxCalcTextRectForLines(FSurface.DC(), text, 1, single);
  EXPECT_EQ(single.right, Width(text));
  EXPECT_EQ(single.bottom, FLineHeight);
}

TEST_F(cxGraphicsControlsLines, NoLineCountGivesTheWidestWordAndALongWordKeepsItsWidth)
{
  const String longWord = L"Incomprehensibilities";
  const struct {
    String Text;
    int Lines;
    String Widest;
  } cases[] = {
      {L"aa bbbbbbbb c", 0, L"bbbbbbbb"},
      {longWord + L" a b", 2, longWord},
      {L"x " + longWord, 1, L"x " + longWord},
  };
  for (const auto& c : cases) {
    TRect R{};
    cxCalcTextRectForLines(FSurface.DC(), c.Text, c.Lines, R);
    EXPECT_EQ(R.right, Width(c.Widest)) << c.Text.size() << " " << c.Lines;
  }
  TRect limited{};
  cxCalcTextRectForLines(FSurface.DC(), L"a b c d e f", 3, limited, 0, true);
  EXPECT_EQ(limited.bottom, 3 * FLineHeight);
}

TEST_F(cxGraphicsControlsLines, TheFontFormWithALineList)
{
  const String text = L"short\r\na much longer line\r\nx";
  TRect R{};
  cxCalcTextRectForLines(FFont.get(), text, 2, R, true);
  EXPECT_EQ(R.right, cxMeasureTextWidth(FFont.get(), L"a much longer line"));
  EXPECT_EQ(R.bottom, 2 * cxGetFontTextHeight(FFont.get()));

  // Fewer lines than asked: the word-wrapping measure.
  TRect wrapped{};
  TRect listed{};
  cxCalcTextRectForLines(FFont.get(), L"one two three four", 3, wrapped, false);
  cxCalcTextRectForLines(FFont.get(), L"one two three four", 3, listed, true);
  EXPECT_EQ(listed.right, wrapped.right);
  EXPECT_EQ(listed.bottom, wrapped.bottom);
  EXPECT_LT(wrapped.right, cxMeasureTextWidth(FFont.get(), L"one two three four"));
}

// ---------------------------------------------------------------------------
// Drawing text

TEST(cxGraphicsControlsText, DrawTextWithColorRestoresTheDCAndKeepsClDefault)
{
  TSurface surface(100, 30);
  SetTextColor(surface.DC(), RGB(0, 0, 255));
  SetBkMode(surface.DC(), OPAQUE);
  const struct {
    const wchar_t* Text;
    TColor Color;
    std::uint32_t Ink;
  } cases[] = {{L"WWW", ControlsRed, AsPixel(ControlsRed)}, {L"WWW", clDefault, AsPixel(ControlsBlue)}, {L"", ControlsGreen, ControlsWhite}};
  for (const auto& c : cases) {
    TSurface target(100, 30);
    SetTextColor(target.DC(), RGB(0, 0, 255));
    SetBkMode(target.DC(), OPAQUE);
    TRect R{0, 0, 100, 30};
    const int height = cxDrawTextWithColor(target.DC(), c.Text, R, TRANSPARENT, c.Color, -1, DT_SINGLELINE);
    if (*c.Text != 0) {
      EXPECT_GT(height, 0) << c.Text;
    }
    EXPECT_EQ(GetTextColor(target.DC()), RGB(0, 0, 255));
    EXPECT_EQ(GetBkMode(target.DC()), OPAQUE);
    const TRect ink = InkBounds(target);
    if (c.Ink == ControlsWhite) {
      EXPECT_LT(ink.right, 0) << "nothing drawn";
      continue;
    }
    ASSERT_GT(ink.right, 0);
    bool found = false;
    for (int y = ink.top; y < ink.bottom && !found; ++y)
      for (int x = ink.left; x < ink.right && !found; ++x)
        found = target.Pixel(x, y) == c.Ink;
    EXPECT_TRUE(found) << c.Text;
  }
}

TEST(cxGraphicsControlsText, ExtTextOutDrawsTheFirstCharactersAtThePoint)
{
  const struct {
    int Length;
    int Characters;
  } cases[] = {{-1, 4}, {2, 2}, {9, 4}, {0, 0}};
  for (const auto& c : cases) {
    TSurface surface(120, 40);
    TCtlPaintWrapped canvas(surface.DC());
    canvas->GetFont()->SetName(L"Arial");
    canvas->GetFont()->SetSize(12);
    const HDC dc = canvas->GetHandle();
    SetBkMode(dc, TRANSPARENT);
    SIZE expected{};
    GetTextExtentPoint32W(dc, L"WWWW", c.Characters, &expected);
    EXPECT_TRUE(cxExtTextOut(dc, L"WWWW", {10, 5}, c.Length));
    const TRect ink = InkBounds(surface);
    if (c.Characters == 0) {
      EXPECT_LT(ink.right, 0);
      continue;
    }
    EXPECT_GE(ink.left, 10) << c.Length;
    EXPECT_GE(ink.top, 5) << c.Length;
    EXPECT_LE(ink.right, 10 + expected.cx) << c.Length;
    EXPECT_GT(ink.right, 10 + expected.cx - expected.cx / c.Characters) << c.Length << ": every character drawn";
  }
  // The clip rectangle is honoured.
  TSurface surface(120, 40);
  TCtlPaintWrapped canvas(surface.DC());
  const TRect clip{0, 0, 20, 40};
  EXPECT_TRUE(cxExtTextOut(canvas->GetHandle(), L"WWWWWW", {10, 5}, -1, ETO_CLIPPED, &clip));
  EXPECT_LE(InkBounds(surface).right, 20);
}

TEST(cxGraphicsControlsText, SplitTextToLines)
{
  TSurface surface(10, 10);
  TCtlPaintWrapped canvas(surface.DC());
  canvas->GetFont()->SetName(L"Arial");
  canvas->GetFont()->SetSize(10);
  const int wide = 2000;
  const int twoWords = cxMeasureTextSize(canvas->GetHandle(), L"aaa bbb").cx;
  const struct {
    const wchar_t* Text;
    int Width;
    std::vector<String> Lines;
  } cases[] = {
      {L"", wide, {}},
      {L"one line  here", wide, {L"one line  here"}},
      {L"ab\ncd", wide, {L"ab", L"cd"}},
      {L"ab\r\ncd", wide, {L"ab", L"cd"}},
      {L"ab\n\ncd", wide, {L"ab", L"", L"cd"}},
      {L"ab\r\n", wide, {L"ab", L""}},
      {L"ab\n\n", wide, {L"ab", L"", L""}},
      {L"\nab", wide, {L"", L"ab"}},
      {L"aaa bbb ccc", twoWords, {L"aaa bbb", L"ccc"}},
      {L"aaa bbb ccc ddd", twoWords, {L"aaa bbb", L"ccc ddd"}},
      {L"aaa bbb\nccc", twoWords, {L"aaa bbb", L"ccc"}},
      {L"aaaaaaaaaaaa b", 1, {L"aaaaaaaaaaaa", L"b"}},
  };
  for (const auto& c : cases) {
    const rtl::TOwnedPtr<rtl::TStringList> lines(rtl::New<rtl::TStringList>());
    cxSplitTextToLines(c.Text, canvas.get(), {0, 0, c.Width, 100}, lines.get());
    std::vector<String> actual;
    for (int i = 0; i < lines->GetCount(); ++i)
      actual.push_back(lines->GetStrings(i));
    EXPECT_EQ(actual, c.Lines) << c.Text;
  }
}

TEST(cxGraphicsControlsText, WrappedTextIsPlacedInsideTheRectangle)
{
  const String text = L"first second third fourth";
  const struct {
    UINT Flags;
    TRect R;
    const char* What;
  } cases[] = {
      {0, {10, 10, 90, 190}, "top"},
      {DT_BOTTOM, {10, 10, 90, 190}, "bottom"},
      {DT_VCENTER, {10, 10, 90, 190}, "centred"},
      {DT_VCENTER, {10, 40, 90, 45}, "centred but higher than the rectangle"},
      {DT_BOTTOM, {10, 40, 90, 45}, "at the bottom but higher than the rectangle"},
  };
  for (const auto& c : cases) {
    TSurface surface(100, 200);
    TCtlPaintWrapped canvas(surface.DC());
    canvas->GetFont()->SetName(L"Arial");
    canvas->GetFont()->SetSize(10);
    const int lineHeight = cxGetDCTextHeight(canvas->GetHandle());
    const int count = cxDrawWrappedText(canvas.get(), text, c.R, ControlsRed, c.Flags);
    EXPECT_GE(count, 2) << c.What;
    const TRect ink = InkBounds(surface);
    ASSERT_GT(ink.right, 0) << c.What;
    EXPECT_GE(ink.top, c.R.top) << c.What;
    EXPECT_GE(ink.left, c.R.left) << c.What;
    const int block = count * lineHeight;
    if (c.Flags == 0) {
      EXPECT_LT(ink.top, c.R.top + lineHeight) << c.What;
    }
    if (c.Flags == DT_BOTTOM && block < c.R.bottom - c.R.top) {
      EXPECT_GE(ink.top, c.R.bottom - block) << c.What;
    }
    if (c.Flags == DT_VCENTER && block < c.R.bottom - c.R.top) {
      EXPECT_GE(ink.top, (c.R.top + c.R.bottom - block) / 2) << c.What;
      EXPECT_LE(ink.bottom, (c.R.top + c.R.bottom + block) / 2 + 1) << c.What;
    }
  }
}

TEST(cxGraphicsControlsText, RotatedTextTurnsWithTheAngleOverTheBackground)
{
  const struct {
    TcxRotationAngle Angle;
    bool Upright;
  } cases[] = {{ra0, false}, {raPlus90, true}, {raMinus90, true}, {ra180, false}};
  for (const auto& c : cases) {
    TSurface surface(120, 120, 0x00C0C0C0);
    TCtlPaintWrapped canvas(surface.DC());
    canvas->GetFont()->SetName(L"Arial");
    canvas->GetFont()->SetSize(12);
    const TRect R = c.Upright ? TRect{40, 5, 80, 115} : TRect{5, 40, 115, 80};
    const int height = cxDrawTextRotated(canvas.get(), L"WWWWW", R, c.Angle, ControlsBlue, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EXPECT_GT(height, 0);
    const TRect ink = InkBounds(surface, 0xC0C0C0);
    ASSERT_GT(ink.right, 0) << static_cast<int>(c.Angle);
    EXPECT_EQ(ink.bottom - ink.top > ink.right - ink.left, c.Upright) << static_cast<int>(c.Angle);
    EXPECT_GE(ink.left, R.left);
    EXPECT_GE(ink.top, R.top);
    EXPECT_LE(ink.right, R.right);
    EXPECT_LE(ink.bottom, R.bottom);
  }
}

// ---------------------------------------------------------------------------
// Mirroring

TEST(cxGraphicsControlsMirror, PaintsMirroredAboutTheRectangleAndRestoresTheTransform)
{
  // R is 10..95. With the one-pixel shift R maps onto itself pixel for
  // pixel: the strip on its first five pixels lands on its last five.
  const struct {
    bool Mirror;
    bool Shift;
    int ExpectedLeft;
  } cases[] = {{false, true, 10}, {true, true, 90}, {true, false, 91}};
  for (const auto& c : cases) {
    TSurface surface(110, 20);
    bool ran = false;
    cxPaintMirrored(surface.DC(), {10, 0, 95, 20}, c.Mirror, c.Shift, [&] {
      ran = true;
      cxFillRectByColor(surface.DC(), {10, 0, 15, 20}, ControlsRed);
    });
    EXPECT_TRUE(ran);
    const TRect ink = InkBounds(surface);
    EXPECT_EQ(ink.left, c.ExpectedLeft) << c.Mirror << c.Shift;
    EXPECT_EQ(ink.right - ink.left, 5);
    EXPECT_EQ(GetGraphicsMode(surface.DC()), GM_COMPATIBLE);
  }

  // The canvas form mirrors only for right-to-left alignment.
  for (bool rightToLeft : {false, true}) {
    TSurface surface(110, 20);
    TCtlPaintWrapped canvas(surface.DC());
    canvas->SetUseRightToLeftAlignment(rightToLeft);
    cxPaintMirroredIfRTL(canvas.get(), {10, 0, 95, 20},
                         [&] { cxFillRectByColor(surface.DC(), {10, 0, 15, 20}, ControlsRed); });
    EXPECT_EQ(InkBounds(surface).left, rightToLeft ? 90 : 10);
  }

  TSurface surface(50, 50);
  EXPECT_THROW(cxPaintMirrored(surface.DC(), {0, 0, 50, 50}, true, true, [] { throw std::runtime_error("fail"); }),
               std::runtime_error);
  EXPECT_EQ(GetGraphicsMode(surface.DC()), GM_COMPATIBLE) << "restored after an exception";
  SetGraphicsMode(surface.DC(), GM_ADVANCED);
  XFORM transform{};
  GetWorldTransform(surface.DC(), &transform);
  EXPECT_EQ(transform.eM11, 1.0f);
  EXPECT_EQ(transform.eDx, 0.0f);
}

// ---------------------------------------------------------------------------
// Painting controls

// Paints its client area in two halves (left ControlsRed, right ControlsBlue, split at
// Split) so the place of a painted background shows where it came from.
// When Probe is set, its own paint asks for Probe's parent background,
// which must not re-enter it.
class TCtlPaintHost : public kvtest::TTestHost {
  RTL_CLASS(TCtlPaintHost, kvtest::TTestHost)

 public:
  int Split;
  int Paints;
  TControl* Probe;

  void Create(TComponent* AOwner) override
  {
    inherited::Create(AOwner);
    Split = 40;
  }

 protected:
  void Paint() override
  {
    ++Paints;
    const TRect client = GetClientRect();
    cxFillRectByColor(GetCanvas()->GetHandle(), {0, 0, Split, client.bottom}, ControlsRed);
    cxFillRectByColor(GetCanvas()->GetHandle(), {Split, 0, client.right, client.bottom}, ControlsBlue);
    if (Probe) {
      cxPaintCanvas()->BeginPaint(GetCanvas());
      cxPaintParentBackground(Probe, cxPaintCanvas(), {0, 0, 5, 5});
      cxPaintCanvas()->EndPaint();
    }
  }
};

// Shows its parent's background and a green square in its top-left corner.
class TCtlPaintSeeThrough : public TCustomControl {
  RTL_CLASS(TCtlPaintSeeThrough, TCustomControl)

 public:
  bool Themed;

 protected:
  void Paint() override
  {
    cxPaintCanvas()->BeginPaint(GetCanvas());
    if (Themed)
      cxDrawControlParentBackground(this, cxPaintCanvas(), GetClientRect());
    else
      cxPaintParentBackground(this, cxPaintCanvas(), GetClientRect());
    cxPaintCanvas()->EndPaint();
    cxFillRectByColor(GetCanvas()->GetHandle(), {0, 0, 4, 4}, ControlsGreen);
  }
};

// A see-through child with a one-pixel border: its non-client area.
class TCtlPaintBordered : public TCtlPaintSeeThrough {
  RTL_CLASS(TCtlPaintBordered, TCtlPaintSeeThrough)

 protected:
  void CreateParams(TCreateParams& AParams) override
  {
    inherited::CreateParams(AParams);
    AParams.Style |= WS_BORDER;
  }
};

struct TCtlPaintDCState {
  POINT WindowOrg;
  int HasClip;
  HGDIOBJ Brush;
  HGDIOBJ Font;
  explicit TCtlPaintDCState(HDC DC)
      : WindowOrg(), HasClip(), Brush(GetCurrentObject(DC, OBJ_BRUSH)), Font(GetCurrentObject(DC, OBJ_FONT))
  {
    GetWindowOrgEx(DC, &WindowOrg);
    const vcl::TOwnedRegion region(CreateRectRgn(0, 0, 0, 0));
    HasClip = GetClipRgn(DC, region.Get());
  }
  bool operator==(const TCtlPaintDCState& A) const
  {
    return WindowOrg.x == A.WindowOrg.x && WindowOrg.y == A.WindowOrg.y && HasClip == A.HasClip &&
           Brush == A.Brush && Font == A.Font;
  }
};

class cxGraphicsControlsPaint : public ::testing::Test {
 protected:
  void SetUp() override
  {
    FHost.reset(rtl::New<TCtlPaintHost>(nullptr));
    FHost->SetBounds(0, 0, 100, 60);
    FChild = rtl::New<TCtlPaintSeeThrough>(FHost.get());
    FChild->SetBounds(20, 10, 40, 30);
    FChild->SetParent(FHost.get());
    FHost->Show();
    UpdateWindow(FHost->GetHandle());
  }

  rtl::TOwnedPtr<TCtlPaintHost> FHost;
  TCtlPaintSeeThrough* FChild = nullptr;
};

TEST_F(cxGraphicsControlsPaint, TheParentBackgroundIsPrintedIntoTheChildsDC)
{
  // Under the child (x 20..60 of the host) the host's split at 40 falls on
  // the child's x 20.
  for (bool themed : {false, true}) {
    FChild->Themed = themed;
    for (bool doubleBuffered : {false, true}) {
      FHost->SetDoubleBuffered(doubleBuffered);
      TSurface surface(40, 30, 0);
      ASSERT_TRUE(PrintWindow(FChild->GetHandle(), surface.DC(), 0));
      const struct {
        int X;
        int Y;
        TColor Expected;
      } samples[] = {{2, 2, ControlsGreen}, {10, 10, ControlsRed}, {19, 25, ControlsRed}, {20, 25, ControlsBlue}, {39, 29, ControlsBlue}};
      for (const auto& s : samples)
        EXPECT_EQ(surface.Pixel(s.X, s.Y), AsPixel(s.Expected))
            << s.X << "," << s.Y << " themed " << themed << " double-buffered " << doubleBuffered;
    }
  }

  // And on the screen: the child's own window DC.
  FChild->Themed = false;
  InvalidateRect(FChild->GetHandle(), nullptr, TRUE);
  UpdateWindow(FChild->GetHandle());
  HDC dc = GetDC(FChild->GetHandle());
  EXPECT_EQ(GetPixel(dc, 2, 2), static_cast<COLORREF>(ControlsGreen));
  EXPECT_EQ(GetPixel(dc, 10, 20), static_cast<COLORREF>(ControlsRed));
  EXPECT_EQ(GetPixel(dc, 30, 20), static_cast<COLORREF>(ControlsBlue));
  ReleaseDC(FChild->GetHandle(), dc);
}

TEST_F(cxGraphicsControlsPaint, AParentBackgroundPaintDoesNotReenterTheParent)
{
  FHost->Probe = FChild;
  FHost->Paints = 0;
  TSurface surface(40, 30, 0);
  TCtlPaintWrapped canvas(surface.DC());
  cxPaintParentBackground(FChild, canvas.get(), {0, 0, 40, 30});
  EXPECT_EQ(FHost->Paints, 1);
  EXPECT_EQ(surface.Pixel(5, 5), AsPixel(ControlsRed));
  FHost->Probe = nullptr;

  // Nothing without a parent.
  const rtl::TOwnedPtr<TCtlPaintSeeThrough> orphan(rtl::New<TCtlPaintSeeThrough>(nullptr));
  FHost->Paints = 0;
  cxPaintParentBackground(orphan.get(), canvas.get(), {0, 0, 40, 30});
  cxPaintParentBackground(nullptr, canvas.get(), {0, 0, 40, 30});
  EXPECT_EQ(FHost->Paints, 0);
}

TEST_F(cxGraphicsControlsPaint, AControlIsPaintedWithItsChildrenAndTheDCComesBack)
{
  // A window of another kind among the children: it shows its class
  // brush, yellow, when erased.
  const vcl::TOwnedBrush yellow(CreateSolidBrush(Yellow));
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hbrBackground = yellow.Get();
  windowClass.lpszClassName = L"CtlPaintNativeChild";
  ASSERT_NE(RegisterClassW(&windowClass), 0);
  HWND native = CreateWindowExW(0, L"CtlPaintNativeChild", L"", WS_CHILD | WS_VISIBLE, 70, 40, 20, 15,
                                FHost->GetHandle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(native, nullptr);
  const std::vector<HWND> excluded{FChild->GetHandle(), native};
  for (bool childShown : {true, false}) {
    const std::vector<HWND>* exclude = childShown ? nullptr : &excluded;
    TSurface surface(130, 90, 0x00808080);
    TCtlPaintWrapped canvas(surface.DC());
    const TCtlPaintDCState before(surface.DC());
    cxPaintControlExcluding(FHost.get(), canvas.get(), {10, 10}, exclude, {0, 0, 100, 60});
    EXPECT_TRUE(TCtlPaintDCState(surface.DC()) == before);
    const struct {
      int X;
      int Y;
      std::uint32_t Shown;
      std::uint32_t Excluded;
      const char* What;
    } samples[] = {
        {15, 15, AsPixel(ControlsRed), AsPixel(ControlsRed), "the host's left half"},
        {105, 15, AsPixel(ControlsBlue), AsPixel(ControlsBlue), "the host's right half"},
        {32, 22, AsPixel(ControlsGreen), AsPixel(ControlsRed), "the child's square over the host"},
        {40, 30, AsPixel(ControlsRed), AsPixel(ControlsRed), "the child's background: the host's left half"},
        {60, 30, AsPixel(ControlsBlue), AsPixel(ControlsBlue), "the child's background: the host's right half"},
        {85, 55, AsPixel(Yellow), AsPixel(ControlsBlue), "the native child window"},
        {5, 5, 0x808080, 0x808080, "outside the control"},
        {115, 75, 0x808080, 0x808080, "outside the control"},
    };
    for (const auto& s : samples)
      EXPECT_EQ(surface.Pixel(s.X, s.Y), childShown ? s.Shown : s.Excluded) << s.What << " " << childShown;
  }
  DestroyWindow(native);
  UnregisterClassW(L"CtlPaintNativeChild", GetModuleHandleW(nullptr));
}

TEST_F(cxGraphicsControlsPaint, ABorderedChildIsPaintedWithItsNonClientArea)
{
  auto* bordered = rtl::New<TCtlPaintBordered>(FHost.get());
  bordered->SetBounds(62, 5, 30, 20);
  bordered->SetParent(FHost.get());
  bordered->SetColor(Yellow);
  UpdateWindow(FHost->GetHandle());
  RECT client{};
  GetClientRect(bordered->GetHandle(), &client);
  ASSERT_EQ(client.right, 28) << "a one-pixel border on each side";

  // With the DC's window origin at (0, 0) WM_PRINT draws the non-client
  // area in place; elsewhere it goes through a bitmap. Both pictures must
  // agree. (Wine's WM_PRINT draws no frame and does not move the client
  // area inside it, so the border's look is not checked here.)
  const TPoint origins[] = {{0, 0}, {10, 10}};
  std::vector<std::vector<std::uint32_t>> pictures;
  for (const TPoint origin : origins) {
    TSurface surface(60, 40, 0x00808080);
    TCtlPaintWrapped canvas(surface.DC());
    cxPaintControlTo(bordered, canvas.get(), origin, true, false, {0, 0, 30, 20});
    const int x = origin.x;
    const int y = origin.y;
    EXPECT_EQ(surface.Pixel(x + 1, y + 1), AsPixel(ControlsGreen)) << "the child's own painting";
    EXPECT_EQ(surface.Pixel(x + 10, y + 10), AsPixel(ControlsBlue)) << "the host's background in the child";
    EXPECT_NE(surface.Pixel(x + 29, y + 10), 0x808080u) << "the whole window area is painted";
    EXPECT_EQ(surface.Pixel(x + 30, y + 10), 0x808080u) << "nothing beside it";
    EXPECT_EQ(surface.Pixel(x + 10, y + 20), 0x808080u) << "nothing below it";
    std::vector<std::uint32_t> picture;
    for (int py = y; py < y + 20; ++py)
      for (int px = x; px < x + 30; ++px)
        picture.push_back(surface.Pixel(px, py));
    pictures.push_back(std::move(picture));
  }
  EXPECT_EQ(pictures[0], pictures[1]);
}

TEST_F(cxGraphicsControlsPaint, OnlyTheBoundsArePaintedAtTheOrigin)
{
  TSurface surface(60, 40, 0x00808080);
  TCtlPaintWrapped canvas(surface.DC());
  const DWORD objects = vcltest::GdiObjectCount();
  // The host's (30, 0, 50, 20) lands at (5, 5): its split at 40 at x 15.
  cxPaintControlTo(FHost.get(), canvas.get(), {5, 5}, false, false, {30, 0, 50, 20});
  EXPECT_EQ(surface.Pixel(6, 6), AsPixel(ControlsRed));
  EXPECT_EQ(surface.Pixel(14, 6), AsPixel(ControlsRed));
  EXPECT_EQ(surface.Pixel(15, 6), AsPixel(ControlsBlue));
  EXPECT_EQ(surface.Pixel(24, 24), AsPixel(ControlsBlue));
  EXPECT_EQ(surface.Pixel(25, 24), 0x808080u);
  EXPECT_EQ(surface.Pixel(24, 25), 0x808080u);
  EXPECT_EQ(surface.Pixel(4, 6), 0x808080u);
  EXPECT_EQ(vcltest::GdiObjectCount(), objects);
}

}  // namespace
