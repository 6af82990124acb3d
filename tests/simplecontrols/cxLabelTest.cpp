// The label's own routines: where rotated text starts (halves to even), the
// rotated font, the line beside the text, the passes the depth effects and
// text styles draw (read back from a metafile), the glyph fill kept inside
// the caller's clip, the label properties, and the control on a form: its
// caption, accelerator, auto size and the line, transparency and alignment.
// The disabled RenderSheet case draws labels into LabelSheet.png (to the
// working directory, or to the folder named by KV_RENDER_DIR).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <memory>
#include <vector>

#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphics.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "simplecontrols/cxLabel.h"
#include "platform/rtl/ClassesFiler.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/GraphicsHandles.h"
#include "platform/vcl/StdCtrls.h"
#include "tests/platform/vcl/GraphicsTestSupport.h"

using enum TcxLabelEffect;
using enum TcxLabelStyle;
using enum TcxLabelOrientation;
using enum TcxLabelLineAlignment;
using enum rtl::TAlignment;
using enum TcxEditVertAlignment;

namespace {

// A platform canvas on a DC wrapped by a TcxCanvas, the wrapper freed first.
struct TLabelTestCanvas {
  explicit TLabelTestCanvas(HDC ADC)
      : Canvas(rtl::NewWith<vcl::TCanvas>([&](vcl::TCanvas* C) { C->Create(); C->SetHandle(ADC); })),
        Wrapper(rtl::New<TcxCanvas>(Canvas.get()))
  {
  }
  TcxCanvas* operator->() const { return Wrapper.get(); }
  rtl::TOwnedPtr<vcl::TCanvas> Canvas;
  rtl::TOwnedPtr<TcxCanvas> Wrapper;
};

rtl::TOwnedPtr<vcl::TFont> LabelTestFont(const wchar_t* AName, int ASize)
{
  rtl::TOwnedPtr<vcl::TFont> font(rtl::New<vcl::TFont>());
  font->SetName(AName);
  font->SetSize(ASize);
  font->SetQuality(vcl::TFontQuality::fqNonAntialiased);
  return font;
}

// ---------------------------------------------------------------------------
// Rotated text

struct TLabelRotatedCase {
  const char* Name;
  int Angle;
  rtl::TAlignment Horz;
  TcxEditVertAlignment Vert;
  TSize Depth;
  // The expected point from the text's width and height and the rectangle.
  TPoint (*Expected)(int W, int H, const TRect& R);
};

TEST(cxLabelRotatedText, OriginInsideTheRectangle)
{
  vcltest::TSurface surface(8, 8);
  TLabelTestCanvas canvas(surface.DC());
  auto font = LabelTestFont(L"Tahoma", 10);
  canvas->GetFont()->Assign(font.get());
  const rtl::String text = L"Model &Name:";
  const TSize extent = canvas->TextExtent(L"Model Name:");
  const int w = extent.cx;
  const int h = extent.cy;
  const TRect r{10, 20, 210, 320};

  const TLabelRotatedCase cases[] = {
      {"level, left top", 0, taLeftJustify, taTopJustify, {0, 0}, [](int, int, const TRect& R) { return TPoint{R.left, R.top}; }},
      {"level, right bottom with depth", 0, taRightJustify, taBottomJustify, {4, 3},
       [](int W, int H, const TRect& R) { return TPoint{R.right + 1 - (W + 4), R.bottom - (H + 3)}; }},
      {"quarter turn, left top", 90, taLeftJustify, taTopJustify, {0, 0},
       [](int W, int, const TRect& R) { return TPoint{R.left, R.top + W}; }},
      {"quarter turn, right bottom", 90, taRightJustify, taBottomJustify, {0, 0},
       [](int, int H, const TRect& R) { return TPoint{R.right + 1 - H, R.bottom}; }},
      {"half turn, left top", 180, taLeftJustify, taTopJustify, {0, 0},
       [](int W, int H, const TRect& R) { return TPoint{R.left + W, R.top + H}; }},
      {"three quarters, left top", 270, taLeftJustify, taTopJustify, {0, 0},
       [](int, int H, const TRect& R) { return TPoint{R.left + H, R.top}; }},
      {"minus a quarter equals three quarters", -90, taLeftJustify, taTopJustify, {0, 0},
       [](int, int H, const TRect& R) { return TPoint{R.left + H, R.top}; }},
      {"a whole turn is level", 360, taLeftJustify, taTopJustify, {0, 0},
       [](int, int, const TRect& R) { return TPoint{R.left, R.top}; }},
  };
  for (const TLabelRotatedCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TPoint p = TcxLabelHelper::CalculatePositionOfRotatedText(canvas->GetCanvas(), text, true, r, c.Depth,
                                                                    c.Angle, c.Horz, c.Vert);
    const TPoint expected = c.Expected(w, h, r);
    EXPECT_EQ(p.x, expected.x);
    EXPECT_EQ(p.y, expected.y);
  }
}

// Centring halves the free room; a half pixel goes to the even neighbour,
// neither always down nor always up.
TEST(cxLabelRotatedText, CentringRoundsHalvesToEven)
{
  vcltest::TSurface surface(8, 8);
  TLabelTestCanvas canvas(surface.DC());
  auto font = LabelTestFont(L"Tahoma", 10);
  canvas->GetFont()->Assign(font.get());
  const TSize extent = canvas->TextExtent(L"Caption");
  const struct {
    int ExtraWidth;
    int ExpectedX;
  } cases[] = {{1, 0}, {3, 2}, {5, 2}, {7, 4}, {2, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ExtraWidth);
    // (0 + (W + extra) - W) / 2 = extra / 2.
    const TRect r{0, 0, extent.cx + c.ExtraWidth, 100};
    const TPoint p = TcxLabelHelper::CalculatePositionOfRotatedText(canvas->GetCanvas(), L"Caption", false, r,
                                                                    {0, 0}, 0, taCenter, taTopJustify);
    EXPECT_EQ(p.x, c.ExpectedX);
  }
}

TEST(cxLabelRotatedText, PreparedFontTurnsOnlyTrueTypeFonts)
{
  vcltest::TSurface surface(8, 8);
  TLabelTestCanvas canvas(surface.DC());
  const struct {
    const wchar_t* FontName;
    int Angle;
    bool TrueType;
    int Escapement;
  } cases[] = {
      {L"Tahoma", 45, true, 450},     {L"Tahoma", -90, true, 2700}, {L"Tahoma", 360, true, 0},
      {L"Tahoma", 0, true, 0},        {L"System", 45, false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Angle << (c.TrueType ? " TrueType" : " raster"));
    auto font = LabelTestFont(c.FontName, 10);
    EXPECT_EQ(cxPrepareRotatedFont(canvas.Wrapper.get(), font.get(), c.Angle), c.TrueType);
    EXPECT_EQ(canvas->GetFont()->GetLogFont().lfEscapement, c.Escapement);
    // The caller's font is never turned.
    EXPECT_EQ(font->GetLogFont().lfEscapement, 0);
    EXPECT_EQ(cxLabelNormalizedAngle(c.Angle, c.TrueType), c.Escapement / 10);
  }
}

// ---------------------------------------------------------------------------
// The line

TEST(cxLabelLine, RectangleAndTextMoves)
{
  const TRect client{0, 0, 200, 40};
  const TRect vertClient{0, 0, 40, 200};
  const struct {
    const char* Name;
    bool Vertical;
    bool Visible;
    TcxLabelLineAlignment Alignment;
    rtl::TAlignment Horz;
    TcxEditVertAlignment Vert;
    TRect Text;
    TRect ExpectedLine;
    TRect ExpectedText;
  } cases[] = {
      {"hidden", false, false, cxllaCenter, taLeftJustify, taTopJustify, {0, 0, 50, 13}, {0, 0, 0, 0}, {0, 0, 50, 13}},
      {"after left text, centred", false, true, cxllaCenter, taLeftJustify, taVCenter, {0, 13, 50, 26},
       {53, 18, 200, 22}, {0, 13, 50, 26}},
      {"before right text, at the bottom", false, true, cxllaBottom, taRightJustify, taVCenter, {150, 13, 200, 26},
       {0, 36, 147, 40}, {150, 13, 200, 26}},
      {"through centred text, at the top: text moves down", false, true, cxllaTop, taCenter, taTopJustify,
       {75, 0, 125, 13}, {0, 0, 200, 4}, {75, 4, 125, 17}},
      {"through centred text, at the bottom: text moves up", false, true, cxllaBottom, taCenter, taBottomJustify,
       {75, 27, 125, 40}, {0, 36, 200, 40}, {75, 23, 125, 36}},
      {"through centred text, centred: text stays", false, true, cxllaCenter, taCenter, taVCenter,
       {75, 13, 125, 26}, {0, 18, 200, 22}, {75, 13, 125, 26}},
      {"vertical, on the left of top text", true, true, cxllaTop, taLeftJustify, taTopJustify, {0, 0, 13, 50},
       {0, 47, 4, 200}, {4, 0, 17, 50}},
      {"vertical, on the right of bottom text", true, true, cxllaBottom, taLeftJustify, taBottomJustify,
       {27, 150, 40, 200}, {36, 0, 40, 153}, {23, 150, 36, 200}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TRect text = c.Text;
    const TRect line = cxLabelCalculateLineRect(text, c.Vertical ? vertClient : client, c.Vertical, 4, c.Visible,
                                                c.Alignment, c.Horz, c.Vert);
    EXPECT_TRUE(EqualRect(&line, &c.ExpectedLine)) << line.left << "," << line.top << "," << line.right << ","
                                                   << line.bottom;
    EXPECT_TRUE(EqualRect(&text, &c.ExpectedText)) << text.left << "," << text.top << "," << text.right << ","
                                                   << text.bottom;
  }
}

// ---------------------------------------------------------------------------
// Passes, read back from a metafile: each text output with its colour and
// position.

struct TLabelTextRecord {
  COLORREF Color;
  POINT Origin;
};

std::vector<TLabelTextRecord> LabelTextRecords(HENHMETAFILE AMetafile)
{
  const UINT size = GetEnhMetaFileBits(AMetafile, 0, nullptr);
  std::vector<BYTE> bits(size);
  GetEnhMetaFileBits(AMetafile, size, bits.data());
  std::vector<TLabelTextRecord> result;
  COLORREF color = 0;
  std::size_t offset = 0;
  while (offset + sizeof(EMR) <= bits.size()) {
    EMR header;
    std::memcpy(&header, bits.data() + offset, sizeof(header));
    if (header.nSize < sizeof(EMR) || offset + header.nSize > bits.size())
      break;
    if (header.iType == EMR_SETTEXTCOLOR && header.nSize >= sizeof(EMRSETTEXTCOLOR)) {
      EMRSETTEXTCOLOR record;
      std::memcpy(&record, bits.data() + offset, sizeof(record));
      color = record.crColor;
    } else if (header.iType == EMR_EXTTEXTOUTW && header.nSize >= sizeof(EMREXTTEXTOUTW)) {
      EMREXTTEXTOUTW record;
      std::memcpy(&record, bits.data() + offset, sizeof(record));
      if (record.emrtext.nChars > 0)
        result.push_back({color, {record.emrtext.ptlReference.x, record.emrtext.ptlReference.y}});
    }
    offset += header.nSize;
  }
  return result;
}

std::vector<TLabelTextRecord> RecordLabelText(const TcxLabelTextDrawParams& AParams, int AFontSize)
{
  vcltest::TSurface reference(8, 8);
  HDC dc = CreateEnhMetaFileW(reference.DC(), nullptr, nullptr, nullptr);
  {
    TLabelTestCanvas canvas(dc);
    auto font = LabelTestFont(L"Tahoma", AFontSize);
    cxPrepareRotatedFont(canvas.Wrapper.get(), font.get(), 0);
    cxLabelDrawText(canvas.Wrapper.get(), AParams);
  }
  vcl::TOwnedEnhMetafile metafile(CloseEnhMetaFile(dc));
  return LabelTextRecords(metafile.Get());
}

constexpr COLORREF LabelShadow = RGB(200, 0, 0);
constexpr COLORREF LabelText = RGB(0, 0, 200);
constexpr COLORREF LabelBack = RGB(255, 255, 255);

TEST(cxLabelDrawText, DepthCopiesAndStylePasses)
{
  struct TPass {
    COLORREF Color;
    int DX;
    int DY;
  };
  const COLORREF highlight = vcl::ColorToRGB(vcl::clBtnHighlight);
  const COLORREF shadow = vcl::ColorToRGB(vcl::clBtnShadow);
  const struct {
    const char* Name;
    TcxLabelEffect Effect;
    TcxLabelStyle Style;
    TcxLabelOrientation Orientation;
    int Depth;
    int FontSize;
    std::vector<TPass> Passes;  // relative to the text's own pass (the last)
  } cases[] = {
      {"plain", cxleNormal, cxlsNormal, cxoRightBottom, 5, 10, {{LabelText, 0, 0}}},
      {"cool: one copy at the full depth", cxleCool, cxlsNormal, cxoRightBottom, 5, 10,
       {{LabelShadow, 5, 5}, {LabelText, 0, 0}}},
      {"cool to the left and up", cxleCool, cxlsNormal, cxoLeftTop, 5, 10, {{LabelShadow, -5, -5}, {LabelText, 0, 0}}},
      {"extrude: five copies a pixel apart", cxleExtrude, cxlsNormal, cxoRight, 5, 10,
       {{LabelShadow, 5, 0}, {LabelShadow, 4, 0}, {LabelShadow, 3, 0}, {LabelShadow, 2, 0}, {LabelShadow, 1, 0},
        {LabelText, 0, 0}}},
      {"extrude downwards", cxleExtrude, cxlsNormal, cxoBottom, 2, 10,
       {{LabelShadow, 0, 2}, {LabelShadow, 0, 1}, {LabelText, 0, 0}}},
      {"fun with depth 1: the shadowed colour itself", cxleFun, cxlsNormal, cxoRightBottom, 1, 10,
       {{LabelShadow, 1, 1}, {LabelText, 0, 0}}},
      {"fun with depth 2: half way from the background first", cxleFun, cxlsNormal, cxoLeft, 2, 10,
       {{RGB(227, 127, 127), -2, 0}, {LabelShadow, -1, 0}, {LabelText, 0, 0}}},
      {"raised at 11 points: two passes", cxleNormal, cxlsRaised, cxoRightBottom, 0, 11,
       {{highlight, -1, -1}, {LabelText, 0, 0}}},
      {"raised at 12 points: three passes", cxleNormal, cxlsRaised, cxoRightBottom, 0, 12,
       {{highlight, -1, -1}, {shadow, 1, 1}, {LabelText, 0, 0}}},
      {"lowered at 11 points: two passes", cxleNormal, cxlsLowered, cxoRightBottom, 0, 11,
       {{highlight, 1, 1}, {LabelText, 0, 0}}},
      {"lowered at 12 points: three passes", cxleNormal, cxlsLowered, cxoRightBottom, 0, 12,
       {{shadow, -1, -1}, {highlight, 1, 1}, {LabelText, 0, 0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TcxLabelTextDrawParams params;
    params.Text = L"Label";
    params.TextRect = {10, 10, 150, 60};
    params.Effect = c.Effect;
    params.Style = c.Style;
    params.Orientation = c.Orientation;
    params.Depth = c.Depth;
    if (c.Effect != cxleNormal) {
      const bool horz = c.Orientation != cxoTop && c.Orientation != cxoBottom;
      const bool vert = c.Orientation != cxoLeft && c.Orientation != cxoRight;
      params.DepthDelta = {horz ? c.Depth : 0, vert ? c.Depth : 0};
    }
    params.StyleOffset = c.Style == cxlsRaised || c.Style == cxlsLowered ? (c.FontSize >= 12 ? 2 : 1) : 0;
    params.TextColor = LabelText;
    params.ShadowedColor = LabelShadow;
    params.BackgroundColor = LabelBack;
    params.ShowAccelChar = false;

    const std::vector<TLabelTextRecord> records = RecordLabelText(params, c.FontSize);
    ASSERT_EQ(records.size(), c.Passes.size());
    const POINT text = records.back().Origin;
    for (std::size_t i = 0; i < records.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(records[i].Color, c.Passes[i].Color);
      EXPECT_EQ(records[i].Origin.x - text.x, c.Passes[i].DX);
      EXPECT_EQ(records[i].Origin.y - text.y, c.Passes[i].DY);
    }
  }
}

// The texture shows through the letters only, and never past the clip the
// caller set.
TEST(cxLabelDrawText, GlyphFillStaysInsideTheCallersClip)
{
  vcltest::TSurface surface(200, 60);
  rtl::TOwnedPtr<vcl::TBitmap> texture(rtl::New<vcl::TBitmap>());
  texture->SetSize(4, 4);
  texture->GetCanvas()->GetBrush()->SetColor(vcl::clRed);
  texture->GetCanvas()->FillRect({0, 0, 4, 4});
  {
    TLabelTestCanvas canvas(surface.DC());
    auto font = LabelTestFont(L"Tahoma", 28);
    font->SetStyle({vcl::TFontStyle::fsBold});
    cxPrepareRotatedFont(canvas.Wrapper.get(), font.get(), 0);
    // Only the left half may be painted.
    canvas->IntersectClipRect({0, 0, 100, 60});
    TcxLabelTextDrawParams params;
    params.Text = L"WWWWWW";
    params.TextRect = {0, 0, 200, 60};
    params.TextColor = vcl::clBlue;
    params.Glyph = texture.get();
    cxLabelDrawText(canvas.Wrapper.get(), params);
    // The clip is the caller's again afterwards.
    canvas->FillRect({0, 58, 200, 60}, vcl::clLime);
  }
  int redLeft = 0;
  int redRight = 0;
  for (int y = 0; y < 56; ++y)
    for (int x = 0; x < 200; ++x)
      if (surface.Pixel(x, y) == vcltest::AsPixel(vcl::clRed))
        ++(x < 100 ? redLeft : redRight);
  EXPECT_GT(redLeft, 100);
  EXPECT_EQ(redRight, 0);
  // Not a filled box: the fill follows the letters.
  EXPECT_LT(redLeft, 100 * 56 / 2);
  EXPECT_EQ(surface.Pixel(50, 59), vcltest::AsPixel(vcl::clLime));
  EXPECT_EQ(surface.Pixel(150, 59), 0xFFFFFFu);
}

// ---------------------------------------------------------------------------
// Properties

class TcxLabelPropertiesTestFixture : public testing::Test {
 public:
  void PropertiesChanged(rtl::TObject* /*Sender*/) { ++ChangeCount; }

 protected:
  void SetUp() override
  {
    Properties.reset(rtl::New<TcxLabelProperties>(nullptr));
    Properties->SetOnPropertiesChanged(
        rtl::TNotifyEvent::Bind<&TcxLabelPropertiesTestFixture::PropertiesChanged>(this));
  }

  rtl::TOwnedPtr<TcxLabelProperties> Properties;
  int ChangeCount = 0;
};

TEST_F(TcxLabelPropertiesTestFixture, DepthDeltaByEffectAndOrientation)
{
  const struct {
    TcxLabelEffect Effect;
    TcxLabelOrientation Orientation;
    unsigned short Depth;
    TSize Expected;
  } cases[] = {
      {cxleNormal, cxoRightBottom, 4, {0, 0}}, {cxleCool, cxoRightBottom, 0, {0, 0}},
      {cxleCool, cxoLeft, 4, {4, 0}},          {cxleFun, cxoRight, 4, {4, 0}},
      {cxleExtrude, cxoTop, 4, {0, 4}},        {cxleCool, cxoBottom, 3, {0, 3}},
      {cxleCool, cxoLeftTop, 2, {2, 2}},       {cxleExtrude, cxoRightBottom, 7, {7, 7}},
  };
  for (const auto& c : cases) {
    Properties->SetLabelEffect(c.Effect);
    Properties->SetOrientation(c.Orientation);
    Properties->SetDepth(c.Depth);
    const TSize delta = Properties->CalculateDepthDelta();
    EXPECT_EQ(delta.cx, c.Expected.cx);
    EXPECT_EQ(delta.cy, c.Expected.cy);
  }
}

TEST_F(TcxLabelPropertiesTestFixture, EachChangeAnnouncedOnce)
{
  Properties->SetAngle(45);
  Properties->SetAngle(45);
  Properties->SetWordWrap(true);
  Properties->SetShadowedColor(vcl::clRed);
  Properties->SetShadowedColor(vcl::clRed);
  EXPECT_EQ(ChangeCount, 3);

  // The line's changes reach the properties: one per value, one per Assign.
  Properties->GetLineOptions()->SetVisible(true);
  Properties->GetLineOptions()->SetVisible(true);
  rtl::TOwnedPtr<TcxLabelLineOptions> other(rtl::New<TcxLabelLineOptions>());
  other->SetAlignment(cxllaBottom);
  other->SetInnerColor(vcl::clRed);
  Properties->SetLineOptions(other.get());
  EXPECT_EQ(ChangeCount, 5);
  EXPECT_FALSE(Properties->GetLineOptions()->GetVisible());
  EXPECT_EQ(Properties->GetLineOptions()->GetAlignment(), cxllaBottom);
  EXPECT_EQ(Properties->GetLineOptions()->GetInnerColor(), vcl::clRed);
}

TEST_F(TcxLabelPropertiesTestFixture, AutoWidthUnlessALevelOrUprightLine)
{
  const struct {
    bool LineVisible;
    int Angle;
    bool AutoWidth;
  } cases[] = {{false, 0, true}, {true, 0, false}, {true, 90, false}, {true, 45, true}, {true, 270, true}};
  for (const auto& c : cases) {
    Properties->GetLineOptions()->SetVisible(c.LineVisible);
    Properties->SetAngle(c.Angle);
    const TcxEditSupportedOperations operations = Properties->GetSupportedOperations();
    EXPECT_EQ(operations.Contains(TcxEditSupportedOperation::esoAutoWidth), c.AutoWidth) << c.Angle;
    EXPECT_TRUE(operations.Contains(TcxEditSupportedOperation::esoAutoHeight));
    EXPECT_TRUE(operations.Contains(TcxEditSupportedOperation::esoTransparency));
  }
}

TEST_F(TcxLabelPropertiesTestFixture, AssignCopiesEveryValueAndConvertsDepth)
{
  rtl::TOwnedPtr<TcxLabelProperties> source(rtl::New<TcxLabelProperties>(nullptr));
  source->GetScaleFactor()->Assign(2, 1, false);
  source->SetDepth(8);
  source->SetAngle(90);
  source->SetLabelEffect(cxleCool);
  source->SetLabelStyle(cxlsOutLine);
  source->SetOrientation(cxoLeftTop);
  source->SetPenWidth(3);
  source->SetShadowedColor(vcl::clRed);
  source->SetShowAccelChar(false);
  source->SetShowEndEllipsis(true);
  source->SetWordWrap(true);
  source->GetLineOptions()->SetVisible(true);
  source->SetTransparent(true);

  ChangeCount = 0;
  Properties->Assign(source.get());
  EXPECT_EQ(ChangeCount, 1);
  EXPECT_EQ(Properties->GetDepth(), 4);
  EXPECT_EQ(Properties->GetAngle(), 90);
  EXPECT_EQ(Properties->GetLabelEffect(), cxleCool);
  EXPECT_EQ(Properties->GetLabelStyle(), cxlsOutLine);
  EXPECT_EQ(Properties->GetOrientation(), cxoLeftTop);
  EXPECT_EQ(Properties->GetPenWidth(), 3);
  EXPECT_EQ(Properties->GetShadowedColor(), vcl::clRed);
  EXPECT_FALSE(Properties->GetShowAccelChar());
  EXPECT_TRUE(Properties->GetShowEndEllipsis());
  EXPECT_TRUE(Properties->GetWordWrap());
  EXPECT_TRUE(Properties->GetLineOptions()->GetVisible());
  EXPECT_TRUE(Properties->GetTransparent());

  // A change of scale takes the depth along.
  Properties->GetScaleFactor()->Assign(3, 1, false);
  EXPECT_EQ(Properties->GetDepth(), 12);
}

TEST_F(TcxLabelPropertiesTestFixture, DisplayTextIsTheValuesStringForm)
{
  EXPECT_EQ(Properties->GetDisplayText(rtl::Variant(42)), L"42");
  EXPECT_EQ(Properties->GetDisplayText(rtl::Variant(rtl::String(L"Model Name:"))), L"Model Name:");
  EXPECT_EQ(Properties->GetDisplayText(rtl::Variant()), L"");
  EXPECT_EQ(Properties->GetEditValueSource(false), TcxDataEditValueSource::evsText);
}

TEST(cxLabelUnit, PropertiesRegisteredWithTheirDescription)
{
  TcxRegisteredClasses* registry = cxEditPropertiesRegistry();
  const int index = registry->GetIndexByClass(TcxLabelProperties::StaticClass());
  ASSERT_GE(index, 0);
  EXPECT_EQ(registry->GetDescription(index), L"Label");
  EXPECT_EQ(registry->GetHint(index), L"Represents a label");
}

}  // namespace

// ---------------------------------------------------------------------------
// The control

namespace {

constexpr char kLabelForm[] =
    "object LabelForm: TForm\n"
    "  Left = 0\n  Top = 0\n  Width = 320\n  Height = 200\n"
    "  object ModelNameLabel: TcxLabel\n"
    "    Left = 8\n    Top = 8\n"
    "    Caption = 'Model &Name:'\n"
    "    Style.TransparentBorder = True\n"
    "    Transparent = True\n"
    "  end\n"
    "  object NameEdit: TEdit\n"
    "    Left = 8\n    Top = 40\n    Width = 100\n    Height = 21\n"
    "  end\n"
    "end\n";

rtl::TOwnedPtr<vcl::TForm> LabelTestReadForm(const char* AText, std::size_t ASize)
{
  rtl::RegisterClasses({rtl::TPersistentClass::Of<vcl::TEdit>()});
  rtl::TOwnedPtr<rtl::TMemoryStream> source(rtl::New<rtl::TMemoryStream>());
  source->WriteBuffer(AText, static_cast<int>(ASize));
  source->SetPosition(0);
  rtl::TOwnedPtr<rtl::TMemoryStream> binary(rtl::New<rtl::TMemoryStream>());
  rtl::ObjectTextToBinary(source.get(), binary.get());
  binary->SetPosition(0);
  rtl::TOwnedPtr<vcl::TForm> form(rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(vcl::Application()); }));
  rtl::ReadComponent(binary.get(), form.get());
  return form;
}

}  // namespace

TEST(cxLabelControl, StreamedFromAFormWithItsCaption)
{
  rtl::TOwnedPtr<vcl::TForm> form = LabelTestReadForm(kLabelForm, sizeof(kLabelForm) - 1);
  auto* label = rtl::As<TcxLabel>(form->FindComponent(L"ModelNameLabel"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->GetCaption(), L"Model &Name:");
  EXPECT_EQ(rtl::VarToStr(label->GetEditValue()), L"Model &Name:");
  EXPECT_TRUE(label->GetTransparent());
  EXPECT_TRUE(label->GetStyle()->GetTransparentBorder());
  EXPECT_TRUE(label->GetAutoSize());
  EXPECT_TRUE(label->GetParentColor());
  EXPECT_EQ(label->GetStyle()->GetBorderStyle(), TcxContainerBorderStyle::cbsNone);
  EXPECT_FALSE(label->GetStyle()->GetHotTrack());
  // On a form a label never takes the focus.
  form->Show();
  EXPECT_FALSE(label->CanFocus());
  form->Hide();
}

TEST(cxLabelControl, CaptionAndEditValueFollowEachOther)
{
  rtl::TOwnedPtr<TcxLabel> label(rtl::New<TcxLabel>(nullptr));
  label->SetCaption(L"Fields");
  EXPECT_EQ(rtl::VarToStr(label->GetEditValue()), L"Fields");
  label->SetEditValue(rtl::Variant(12));
  EXPECT_EQ(label->GetCaption(), L"12");
}

TEST(cxLabelControl, AccelCharFocusesTheFocusControl)
{
  rtl::TOwnedPtr<vcl::TForm> form = LabelTestReadForm(kLabelForm, sizeof(kLabelForm) - 1);
  auto* label = rtl::As<TcxLabel>(form->FindComponent(L"ModelNameLabel"));
  auto* edit = rtl::As<vcl::TWinControl>(form->FindComponent(L"NameEdit"));
  ASSERT_TRUE(label && edit);
  label->SetFocusControl(label);
  EXPECT_EQ(label->GetFocusControl(), nullptr);
  label->SetFocusControl(edit);
  form->Show();
  EXPECT_EQ(label->Perform(rtl::CM_DIALOGCHAR, L'x', 0), 0);
  EXPECT_EQ(label->Perform(rtl::CM_DIALOGCHAR, L'n', 0), 1);
  EXPECT_TRUE(edit->Focused());
  form->Hide();
  // Freeing the focus control clears the reference.
  rtl::Free(edit);
  EXPECT_EQ(label->GetFocusControl(), nullptr);
}

TEST(cxLabelControl, AutoSizeAndTheLineExcludeEachOther)
{
  rtl::TOwnedPtr<TcxLabel> label(rtl::New<TcxLabel>(nullptr));
  ASSERT_TRUE(label->GetAutoSize());
  label->GetLabelProperties()->GetLineOptions()->SetVisible(true);
  EXPECT_FALSE(label->GetAutoSize());
  label->SetAutoSize(true);
  EXPECT_TRUE(label->GetAutoSize());
  EXPECT_FALSE(label->GetLabelProperties()->GetLineOptions()->GetVisible());
}

// The size a label asks for is its text's in its font: one line for an
// empty caption, and with WordWrap the text wraps inside the width given.
TEST(cxLabelControl, ContentSizeFollowsTheText)
{
  rtl::TOwnedPtr<TcxLabel> label(rtl::New<TcxLabel>(nullptr));
  label->GetStyle()->GetFont()->SetName(L"Tahoma");
  label->GetStyle()->GetFont()->SetSize(10);
  TcxCanvas* canvas = cxScreenCanvas();
  canvas->SetFont(label->GetStyle()->GetFont());
  const int lineHeight = canvas->TextHeight(L"Wg");
  const int textWidth = canvas->TextWidth(L"Model Name:");
  const struct {
    const char* Name;
    const wchar_t* Text;
    bool WordWrap;
    int Width;
    int ExpectedWidth;
    int ExpectedLines;
  } cases[] = {
      {"level text, any width", L"Model &Name:", false, -1, textWidth, 1},
      {"no wrap ignores the width", L"Model &Name:", false, 20, textWidth, 1},
      {"empty text keeps one line", L"", false, -1, -1, 1},
      {"wrapped into the width", L"Model &Name:", true, textWidth - 5, -1, 2},
  };
  TcxLabelProperties* properties = label->GetLabelProperties();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    properties->SetWordWrap(c.WordWrap);
    const TSize size = properties->GetEditContentSize(canvas, static_cast<TcxCustomEditStyle*>(label->GetStyle()),
                                                      false, rtl::Variant(rtl::String(c.Text)), {-1, 0, c.Width});
    if (c.ExpectedWidth >= 0) {
      EXPECT_EQ(size.cx, c.ExpectedWidth);
    }
    EXPECT_EQ(size.cy, lineHeight * c.ExpectedLines);
  }
}

// An auto-sized label on a form takes its caption's size; with WordWrap it
// keeps its width and only its height follows the wrapped text.
TEST(cxLabelControl, AutoSizeFollowsTheCaption)
{
  rtl::TOwnedPtr<vcl::TForm> form(rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(vcl::Application()); }));
  form->SetBounds(0, 0, 400, 200);
  auto* label = rtl::New<TcxLabel>(form.get());
  label->GetStyle()->GetFont()->SetName(L"Tahoma");
  label->GetStyle()->GetFont()->SetSize(10);
  label->GetStyle()->SetTransparentBorder(true);
  static_cast<vcl::TControl*>(label)->SetParent(form.get());
  label->SetCaption(L"Model Name:");
  form->Show();
  TcxCanvas* canvas = cxScreenCanvas();
  canvas->SetFont(label->GetStyle()->GetFont());
  const int lineHeight = canvas->TextHeight(L"Wg");
  const int frameWidth = label->GetWidth() - canvas->TextWidth(L"Model Name:");
  const int frameHeight = label->GetHeight() - lineHeight;
  EXPECT_GE(frameWidth, 0);
  EXPECT_GE(frameHeight, 0);

  label->SetCaption(L"Model Columns (add Columns of models as String id;...)");
  EXPECT_EQ(label->GetWidth(), canvas->TextWidth(L"Model Columns (add Columns of models as String id;...)") + frameWidth);
  EXPECT_EQ(label->GetHeight(), lineHeight + frameHeight);

  label->GetLabelProperties()->SetWordWrap(true);
  label->SetWidth(120);
  EXPECT_EQ(label->GetWidth(), 120);
  EXPECT_GT(label->GetHeight(), 2 * lineHeight + frameHeight - 1);
  form->Hide();
}

namespace {

// A form of one colour with a label on it, shown; the label's picture is
// taken from its view info drawn on a memory surface.
class TcxLabelPaintTestFixture : public testing::Test {
 protected:
  void SetUp() override
  {
    Form.reset(rtl::NewWith<vcl::TForm>([](vcl::TForm* F) { F->CreateNew(vcl::Application()); }));
    Form->SetBounds(0, 0, 300, 120);
    Form->SetColor(vcl::clRed);
    Label = rtl::New<TcxLabel>(Form.get());
    // A fixed size: the probes lie beside the text.
    Label->SetAutoSize(false);
    static_cast<vcl::TControl*>(Label)->SetParent(Form.get());
    Label->SetBounds(10, 10, 200, 30);
    Label->SetCaption(L"Model Name:");
    Form->Show();
  }
  void TearDown() override { Form->Hide(); }

  std::unique_ptr<vcltest::TSurface> PaintLabel()
  {
    Label->Repaint();
    auto surface = std::make_unique<vcltest::TSurface>(Label->GetWidth(), Label->GetHeight(), 0x00FF00);
    TLabelTestCanvas canvas(surface->DC());
    static_cast<TcxContainer*>(Label)->GetViewInfo()->Paint(canvas.Wrapper.get());
    return surface;
  }

  rtl::TOwnedPtr<vcl::TForm> Form;
  TcxLabel* Label = nullptr;
};

int LabelTestCountDark(const vcltest::TSurface& S)
{
  int count = 0;
  for (int y = 0; y < S.Height(); ++y)
    for (int x = 0; x < S.Width(); ++x) {
      const std::uint32_t p = S.Pixel(x, y);
      count += ((p >> 16) & 0xFF) < 0x60 && ((p >> 8) & 0xFF) < 0x60 && (p & 0xFF) < 0x60;
    }
  return count;
}

}  // namespace

// Beside the text a transparent label shows what its parent paints there,
// not a colour of its own; an opaque one fills with its colour.
TEST_F(TcxLabelPaintTestFixture, TransparentLabelShowsItsParentBesideTheText)
{
  const struct {
    bool Transparent;
    std::uint32_t Beside;
  } cases[] = {{true, vcltest::AsPixel(vcl::clRed)}, {false, vcltest::AsPixel(vcl::clYellow)}};
  Label->GetStyle()->SetColor(vcl::clYellow);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Transparent);
    Label->SetTransparent(c.Transparent);
    std::unique_ptr<vcltest::TSurface> surface = PaintLabel();
    EXPECT_EQ(surface->Pixel(190, 25), c.Beside);
    EXPECT_EQ(surface->Pixel(4, 26), c.Beside);
    // Through the border band too, where the parent shows through.
    if (c.Transparent) {
      EXPECT_EQ(surface->Pixel(1, 28), c.Beside);
    }
    // The caption is there, in the text colour.
    EXPECT_GT(LabelTestCountDark(*surface), 20);
  }
}

// The alignment places the text; right-to-left mirrors it.
TEST_F(TcxLabelPaintTestFixture, TextFollowsTheAlignment)
{
  const struct {
    rtl::TAlignment Horz;
    vcl::TBiDiMode BiDiMode;
    bool DarkLeft;
    bool DarkRight;
  } cases[] = {
      {taLeftJustify, vcl::TBiDiMode::bdLeftToRight, true, false},
      {taRightJustify, vcl::TBiDiMode::bdLeftToRight, false, true},
      {taLeftJustify, vcl::TBiDiMode::bdRightToLeft, false, true},
      {taRightJustify, vcl::TBiDiMode::bdRightToLeft, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Horz) * 10 + static_cast<int>(c.BiDiMode));
    Label->SetBiDiMode(c.BiDiMode);
    Label->GetLabelProperties()->GetAlignment()->SetHorz(c.Horz);
    std::unique_ptr<vcltest::TSurface> surface = PaintLabel();
    auto darkIn = [&](int ALeft, int ARight) {
      for (int y = 0; y < surface->Height(); ++y)
        for (int x = ALeft; x < ARight; ++x)
          if ((surface->Pixel(x, y) & 0xFFFFFF) == 0)
            return true;
      return false;
    };
    EXPECT_EQ(darkIn(0, 40), c.DarkLeft);
    EXPECT_EQ(darkIn(160, 200), c.DarkRight);
  }
}

// A label with a depth effect on its own colour draws through a cached
// picture: the picture lands where the label is, and a new colour is not
// hidden behind the old picture.
TEST_F(TcxLabelPaintTestFixture, CachedPictureFollowsChanges)
{
  const struct {
    const char* Name;
    TcxLabelEffect Effect;
  } cases[] = {{"drawn directly", cxleNormal}, {"drawn through the cache", cxleExtrude}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Label->GetLabelProperties()->SetLabelEffect(c.Effect);
    Label->GetLabelProperties()->SetDepth(3);
    Label->GetLabelProperties()->SetShadowedColor(vcl::clBlue);
    for (vcl::TColor color : {vcl::clYellow, vcl::clAqua, vcl::clAqua}) {
      Label->GetStyle()->SetColor(color);
      std::unique_ptr<vcltest::TSurface> surface = PaintLabel();
      EXPECT_EQ(surface->Pixel(190, 25), vcltest::AsPixel(color));
      EXPECT_GT(LabelTestCountDark(*surface), 20);
    }
  }
}

// Labels with each effect, style, angle and the line, in the standard look
// and under a skin, into LabelSheet.png for people to look at:
//   simplecontrols_editor_tests --gtest_also_run_disabled_tests --gtest_filter=*RenderSheet*
TEST_F(TcxLabelPaintTestFixture, DISABLED_RenderSheet)
{
  struct TRow {
    const wchar_t* Caption;
    TcxLabelEffect Effect;
    TcxLabelStyle Style;
    int Depth;
    int Angle;
    int FontSize;
    bool Line;
    bool Transparent;
  };
  const TRow rows[] = {
      {L"Model &Name:", cxleNormal, cxlsNormal, 0, 0, 9, false, false},
      {L"Transparent on red", cxleNormal, cxlsNormal, 0, 0, 9, false, true},
      {L"Raised", cxleNormal, cxlsRaised, 0, 0, 14, false, false},
      {L"Lowered", cxleNormal, cxlsLowered, 0, 0, 14, false, false},
      {L"Outline", cxleNormal, cxlsOutLine, 0, 0, 20, false, false},
      {L"Cool depth 3", cxleCool, cxlsNormal, 3, 0, 14, false, false},
      {L"Extrude depth 4", cxleExtrude, cxlsNormal, 4, 0, 14, false, false},
      {L"Fun depth 5", cxleFun, cxlsNormal, 5, 0, 14, false, false},
      {L"With a line", cxleNormal, cxlsNormal, 0, 0, 9, true, false},
      {L"Turned 30", cxleNormal, cxlsNormal, 0, 30, 10, false, false},
  };
  constexpr int kWidth = 220;
  constexpr int kHeight = 44;
  const wchar_t* skins[] = {L"", L"VisualStudio2013Dark"};
  vcltest::TSurface sheet(kWidth * 2, kHeight * static_cast<int>(std::size(rows)));
  Label->SetBounds(10, 10, kWidth - 4, kHeight - 4);
  for (int column = 0; column < 2; ++column) {
    Label->GetStyle()->GetLookAndFeel()->SetSkinName(skins[column]);
    for (std::size_t i = 0; i < std::size(rows); ++i) {
      const TRow& row = rows[i];
      TcxLabelProperties* properties = Label->GetLabelProperties();
      properties->SetLabelEffect(row.Effect);
      properties->SetLabelStyle(row.Style);
      properties->SetDepth(static_cast<unsigned short>(row.Depth));
      properties->SetAngle(row.Angle);
      properties->GetLineOptions()->SetVisible(row.Line);
      Label->GetStyle()->GetFont()->SetSize(row.FontSize);
      Label->GetStyle()->GetFont()->SetName(L"Tahoma");
      Label->SetTransparent(row.Transparent);
      Label->SetCaption(row.Caption);
      std::unique_ptr<vcltest::TSurface> cell = PaintLabel();
      BitBlt(sheet.DC(), column * kWidth + 2, static_cast<int>(i) * kHeight + 2, cell->Width(), cell->Height(),
             cell->DC(), 0, 0, SRCCOPY);
    }
  }
  rtl::TOwnedPtr<vcl::TBitmap> bitmap(rtl::New<vcl::TBitmap>());
  bitmap->SetPixelFormat(vcl::TPixelFormat::pf24bit);
  // Twice the size: the effects are a pixel or two wide.
  bitmap->SetSize(sheet.Width() * 2, sheet.Height() * 2);
  StretchBlt(bitmap->GetCanvas()->GetHandle(), 0, 0, sheet.Width() * 2, sheet.Height() * 2, sheet.DC(), 0, 0,
             sheet.Width(), sheet.Height(), SRCCOPY);
  const rtl::TOwnedPtr<TdxPNGImage> png(rtl::New<TdxPNGImage>());
  png->LoadFromBitmap(bitmap.get());
  const char* folder = std::getenv("KV_RENDER_DIR");
  const std::wstring path =
      (folder ? std::wstring(folder, folder + std::strlen(folder)) + L"\\" : std::wstring()) + L"LabelSheet.png";
  png->SaveToFile(path);
}
