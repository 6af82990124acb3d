#include "graphics/dxSVGCoreParsers.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using enum vcl::TFontStyle;

namespace {

// --------------------------------------------------------------------------
// Numbers, lengths, rectangles, colours

struct TSVGNumbersCase {
  const wchar_t* Text;
  std::vector<float> Expected;
};

TEST(dxSVGParsers, NumberListsSplitAtSignsSecondDotsAndAnyOtherCharacter)
{
  const TSVGNumbersCase cases[] = {
      {L"10,20 30-40 1.5.5 1e-2", {10, 20, 30, -40, 1.5f, 0.5f, 0.01f}},
      {L"1E2,-.5", {100, -0.5f}},
      {L"translate(3 4)", {3, 4}},
      {L"", {}},
      {L"none", {}},
      // "1e" is no number and is dropped; the walk goes on after it.
      {L"1e 7", {7}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::wstring(c.Text));
    const TdxSVGValues values = TdxSVGParserNumbers::AsNumbers(c.Text);
    ASSERT_EQ(values.size(), c.Expected.size());
    for (size_t i = 0; i < values.size(); ++i)
      EXPECT_FLOAT_EQ(values[i], c.Expected[i]);
  }
}

TEST(dxSVGParsers, PointsArePairsAndAnOddLastNumberIsDropped)
{
  TdxSVGPoints points{{9, 9}};
  TdxSVGParserNumbers::AsPoints(L"1,2 3 4 5", points);
  ASSERT_EQ(points.size(), 2u);
  EXPECT_FLOAT_EQ(points[1].X, 3);
  EXPECT_FLOAT_EQ(points[1].Y, 4);
}

struct TSVGLengthCase {
  const wchar_t* Text;
  bool Parsed;
  float Pixels;  // with a parent size of 200
};

TEST(dxSVGParsers, LengthsReadTheirUnitAndConvertAt96Dpi)
{
  const TSVGLengthCase cases[] = {
      {L"12pt", true, 16},  {L"1in", true, 96},     {L"2.54cm", true, 96}, {L"25.4MM", true, 96},
      {L"6pc", true, 96},   {L"50%", true, 100},    {L"12 px", true, 12},  {L" 7 ", true, 7},
      {L"10em", false, 0},  {L"", false, 0},        {L"px", false, 0},     {L"1.2.3", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::wstring(c.Text));
    TdxSVGValue value{};
    ASSERT_EQ(TdxSVGParserValue::Parse(c.Text, value), c.Parsed);
    if (c.Parsed) {
      EXPECT_NEAR(value.ToPixels(200, 96), c.Pixels, 1e-3);
    }
  }
}

TEST(dxSVGParsers, APercentageHasNoPixelsWithoutABase)
{
  EXPECT_THROW(TdxSVGValue::Create(50, utPercents).ToPixels(96), EInvalidArgument);
  EXPECT_TRUE(TdxSVGValue::Create(0.00005f).IsEmpty());
  EXPECT_FALSE(TdxSVGValue::Create(0.001f).IsEmpty());
}

TEST(dxSVGParsers, RectanglesNeedExactlyFourNumbers)
{
  const struct {
    const wchar_t* Text;
    TdxRectF Expected;
  } cases[] = {
      {L"new 0 0 10 20", {0, 0, 10, 20}},
      {L"10,10,20,20", {10, 10, 30, 30}},
      {L"1 2 3", {0, 0, 0, 0}},
      {L"1 2 3 4 5", {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::wstring(c.Text));
    const TdxRectF r = TdxSVGParserRect::Parse(c.Text);
    EXPECT_FLOAT_EQ(r.Left, c.Expected.Left);
    EXPECT_FLOAT_EQ(r.Top, c.Expected.Top);
    EXPECT_FLOAT_EQ(r.Right, c.Expected.Right);
    EXPECT_FLOAT_EQ(r.Bottom, c.Expected.Bottom);
  }
}

TEST(dxSVGParsers, ColoursClampTheirChannels)
{
  const struct {
    const wchar_t* Text;
    TdxAlphaColor Expected;
  } cases[] = {
      {L"rgb(255, 0, 0)", 0xFFFF0000},
      {L"rgb(256, 0, 0)", 0xFFFF0000},
      {L"rgb(-5, 300, 127.6)", 0xFF00FF80},
      {L"rgb(1, 2)", TdxAlphaColorDefault},
      {L"inherit", TdxAlphaColorDefault},
      {L"#00FF00", 0xFF00FF00},
      {L"#0F0", 0xFF00FF00},
      {L"red", 0xFFFF0000},
      {L"none", 0},
      {L"nonsense", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::wstring(c.Text));
    EXPECT_EQ(TdxSVGParserColor::Parse(c.Text), c.Expected);
  }
}

TEST(dxSVGParsers, InlineStyleTextGivesTrimmedNamesAndValues)
{
  std::vector<std::pair<rtl::String, rtl::String>> properties;
  TdxSVGParserInlineStyle::Parse(L" fill : red ;stroke:url(#a:b);; bare ;x:",
                                 [&](const rtl::String& AName, const rtl::String& AValue) {
                                   properties.emplace_back(AName, AValue);
                                 });
  const std::vector<std::pair<rtl::String, rtl::String>> expected = {
      {L"fill", L"red"}, {L"stroke", L"url(#a:b)"}, {L"x", L""}};
  EXPECT_EQ(properties, expected);
}

// --------------------------------------------------------------------------
// Font shorthand

TEST(dxSVGParsers, FontShorthandTakesStylesTheFirstLengthAndOneNameWord)
{
  const struct {
    const wchar_t* Text;
    bool Result;
    const wchar_t* Name;
    float Size;
    vcl::TFontStyles Styles;
  } cases[] = {
      {L"bold 12px Arial", true, L"Arial", 12, {fsBold}},
      {L"italic bold 16px/20px Segoe UI", true, L"Segoe", 16, {fsBold, fsItalic}},
      {L"12pt Tahoma", true, L"Tahoma", 16, {}},
      // Two blanks make an empty word, which ends the walk as the name.
      {L"bold  12px Arial", false, L"", 0, {fsBold}},
      {L"normal 12px Arial", false, L"normal", 0, {}},
      {L"12px", false, L"", 12, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::wstring(c.Text));
    rtl::String name;
    float size = -1;
    vcl::TFontStyles styles;
    EXPECT_EQ(TdxSVGFontStyleString::Parse(c.Text, name, size, styles), c.Result);
    EXPECT_EQ(name, c.Name);
    EXPECT_FLOAT_EQ(size, c.Size);
    EXPECT_TRUE(styles == c.Styles);
  }
  rtl::String name;
  float size;
  vcl::TFontStyles styles;
  EXPECT_THROW(TdxSVGFontStyleString::Parse(L"50% Arial", name, size, styles), EInvalidArgument);
  EXPECT_EQ(TdxSVGFontStyleString::Build(L"Arial", 12.7f, {fsBold, fsItalic, fsUnderline}), L"italic bold 12px Arial");
}

// --------------------------------------------------------------------------
// Path data

// One command as a letter (M move, O open, L line, C curve, Q quadratic,
// A arc, Z close), its finish point and, for curves, the first control
// point (the middle point of a quadratic curve).
struct TSVGPathCommand {
  char Kind;
  float X, Y;
  float CX = 0, CY = 0;
};

char SVGCommandKind(TdxSVGParserPathCommand* ACommand)
{
  if (rtl::Is<TdxSVGParserPathCommandMoveTo>(ACommand))
    return 'M';
  if (rtl::Is<TdxSVGParserPathCommandOpen>(ACommand))
    return 'O';
  if (rtl::Is<TdxSVGParserPathCommandLine>(ACommand))
    return 'L';
  if (rtl::Is<TdxSVGParserPathCommandCurveTo>(ACommand))
    return 'C';
  if (rtl::Is<TdxSVGParserPathCommandQuadraticCurveTo>(ACommand))
    return 'Q';
  if (rtl::Is<TdxSVGParserPathCommandArc>(ACommand))
    return 'A';
  if (rtl::Is<TdxSVGParserPathCommandClose>(ACommand))
    return 'Z';
  return '?';
}

TdxPointF SVGCommandControl(TdxSVGParserPathCommand* ACommand)
{
  if (rtl::Is<TdxSVGParserPathCommandCurveTo>(ACommand))
    return static_cast<TdxSVGParserPathCommandCurveTo*>(ACommand)->Point1;
  if (rtl::Is<TdxSVGParserPathCommandQuadraticCurveTo>(ACommand))
    return static_cast<TdxSVGParserPathCommandQuadraticCurveTo*>(ACommand)->MiddlePoint;
  return {0, 0};
}

TEST(dxSVGParsers, PathDataBecomesCommandsWithAbsolutePoints)
{
  const struct {
    const wchar_t* Data;
    std::vector<TSVGPathCommand> Expected;
  } cases[] = {
      {L"M10 10 h5 v5 z",
       {{'M', 10, 10}, {'O', 10, 10}, {'L', 15, 10}, {'L', 15, 15}, {'Z', 10, 10}}},
      {L"m10 10 20 0", {{'M', 10, 10}, {'O', 10, 10}, {'L', 30, 10}}},
      // After a close the figure's start is the current point.
      {L"M5 5 l1 1 z m1 1", {{'M', 5, 5}, {'O', 5, 5}, {'L', 6, 6}, {'Z', 5, 5}, {'M', 6, 6}, {'O', 6, 6}}},
      // The smooth curves mirror the previous control point.
      {L"M0 0 C1 1 2 2 3 3 S5 5 6 6", {{'M', 0, 0}, {'O', 0, 0}, {'C', 3, 3, 1, 1}, {'C', 6, 6, 4, 4}}},
      {L"M0 0 Q5 5 10 0 T20 0", {{'M', 0, 0}, {'O', 0, 0}, {'Q', 10, 0, 5, 5}, {'Q', 20, 0, 15, -5}}},
      {L"M0 0 S5 5 6 6", {{'M', 0, 0}, {'O', 0, 0}, {'C', 6, 6, 0, 0}}},
      {L"M1 1 c1 1 2 2 3 3", {{'M', 1, 1}, {'O', 1, 1}, {'C', 4, 4, 2, 2}}},
      {L"M0 0 a10 10 0 0 1 20 0", {{'M', 0, 0}, {'O', 0, 0}, {'A', 20, 0}}},
      // Incomplete groups are dropped.
      {L"M0 0 L1 2 3", {{'M', 0, 0}, {'O', 0, 0}, {'L', 1, 2}}},
      // A lower-case exponent stays in its number; an upper-case one
      // starts a piece of its own.
      {L"M0 0 L1e1 5", {{'M', 0, 0}, {'O', 0, 0}, {'L', 10, 5}}},
      {L"M0 0 L1E1 5", {{'M', 0, 0}, {'O', 0, 0}}},
      {L"5 5 X1 1", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::wstring(c.Data));
    rtl::TOwnedPtr<TdxSVGParserPath> parser(rtl::New<TdxSVGParserPath>());
    parser->Parse(c.Data);
    ASSERT_EQ(parser->CommandCount(), static_cast<int>(c.Expected.size()));
    for (int i = 0; i < parser->CommandCount(); ++i) {
      SCOPED_TRACE(i);
      TdxSVGParserPathCommand* command = parser->GetCommand(i);
      EXPECT_EQ(SVGCommandKind(command), c.Expected[i].Kind);
      EXPECT_NEAR(command->FinishPoint.X, c.Expected[i].X, 1e-4);
      EXPECT_NEAR(command->FinishPoint.Y, c.Expected[i].Y, 1e-4);
      EXPECT_NEAR(SVGCommandControl(command).X, c.Expected[i].CX, 1e-4);
      EXPECT_NEAR(SVGCommandControl(command).Y, c.Expected[i].CY, 1e-4);
    }
  }
}

TEST(dxSVGParsers, AMoveWithoutCoordinatesRaisesAndArcFlagsAreRead)
{
  rtl::TOwnedPtr<TdxSVGParserPath> parser(rtl::New<TdxSVGParserPath>());
  EXPECT_THROW(parser->Parse(L"M"), rtl::EArgumentOutOfRangeException);
  EXPECT_THROW(parser->GetCommand(0), rtl::EListError);
  parser->Parse(L"M0 0 A10 5 30 1 0 20 0");
  auto* arc = rtl::As<TdxSVGParserPathCommandArc>(parser->GetCommand(2));
  EXPECT_FLOAT_EQ(arc->Radius.X, 10);
  EXPECT_FLOAT_EQ(arc->Radius.Y, 5);
  EXPECT_FLOAT_EQ(arc->Angle, 30);
  EXPECT_TRUE(arc->LargeArc);
  EXPECT_FALSE(arc->Sweep);
}

class dxSVGPaths : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dxGpIsAvailable()); }

  static std::vector<Gdiplus::GpPointF> PointsOf(TdxSVGPath* APath)
  {
    std::vector<Gdiplus::GpPointF> points(APath->GetPointCount());
    if (!points.empty())
      dxGpCheck(dxGpFunctions.GdipGetPathPoints(APath->Handle(), points.data(), static_cast<int>(points.size())));
    return points;
  }
};

TEST_F(dxSVGPaths, ArcsBecomeOneBezierPerQuarterTurn)
{
  const struct {
    const wchar_t* Data;
    size_t PointCount;
    float MidX, MidY;  // point 3: the end of the first segment
  } cases[] = {
      // A half circle around (10, 0); sweep 1 turns through the top.
      {L"M0 0 A10 10 0 0 1 20 0", 7, 10, -10},
      {L"M0 0 A10 10 0 0 0 20 0", 7, 10, 10},
      // Radii too small to reach are grown to the half circle.
      {L"M0 0 A1 1 0 0 1 20 0", 7, 10, -10},
      // Three quarters of the circle around (0, 10).
      {L"M10 10 A10 10 0 1 1 0 0", 10, 0, 20},
      // A zero radius is a straight line; an arc to its own start is nothing.
      {L"M0 0 A0 10 0 0 1 20 0", 2, 0, 0},
      {L"M0 0 A10 10 0 0 1 0 0", 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::wstring(c.Data));
    rtl::TOwnedPtr<TdxSVGPath> path(rtl::New<TdxSVGPath>());
    path->FromString(c.Data);
    const std::vector<Gdiplus::GpPointF> points = PointsOf(path.get());
    ASSERT_EQ(points.size(), c.PointCount);
    if (c.PointCount >= 7) {
      EXPECT_NEAR(points[3].X, c.MidX, 1e-3);
      EXPECT_NEAR(points[3].Y, c.MidY, 1e-3);
    }
  }
}

TEST_F(dxSVGPaths, PathsKeepTheirTextAndCopyOnlyFromPathsOfTheirKind)
{
  rtl::TOwnedPtr<TdxSVGPath> source(rtl::New<TdxSVGPath>());
  source->FromString(L"M0 0 L10 0 L10 10 Z");
  rtl::TOwnedPtr<TdxSVGPath> copy(rtl::New<TdxSVGPath>());
  copy->Assign(source.get());
  EXPECT_EQ(copy->ToString(), L"M0 0 L10 0 L10 10 Z");
  EXPECT_EQ(copy->GetPointCount(), source->GetPointCount());
  rtl::TOwnedPtr<TdxGPPath> plain(rtl::New<TdxGPPath>());
  EXPECT_THROW(copy->Assign(plain.get()), EInvalidArgument);
  copy->FromString(L"");
  EXPECT_EQ(copy->GetPointCount(), 0);
}

// --------------------------------------------------------------------------
// Transform lists

TEST(dxSVGParsers, TransformListsComposeEveryOperatorInSVGOrder)
{
  const struct {
    const wchar_t* Text;
    float M11, M12, M21, M22, DX, DY;
  } cases[] = {
      // Scaled first, then translated.
      {L"translate(10 20) scale(2)", 2, 0, 0, 2, 10, 20},
      {L"translate(10,20), scale(2)", 2, 0, 0, 2, 10, 20},
      {L"translate(10,20),scale(2)", 2, 0, 0, 2, 10, 20},
      {L"scale(2) translate(10 20)", 2, 0, 0, 2, 20, 40},
      {L"rotate(90)", 0, 1, -1, 0, 0, 0},
      {L"rotate(90 10 10)", 0, 1, -1, 0, 20, 0},
      {L"skewX(45)", 1, 0, 1, 1, 0, 0},
      {L"skewY(45)", 1, 1, 0, 1, 0, 0},
      {L"matrix(1 2 3 4 5 6)", 1, 2, 3, 4, 5, 6},
      {L"scale(2 3)", 2, 0, 0, 3, 0, 0},
      {L"Scale(2) unknown(5) translate(1)", 1, 0, 0, 1, 1, 0},
      {L"", 1, 0, 0, 1, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::wstring(c.Text));
    rtl::TOwnedPtr<TdxMatrix> matrix(rtl::New<TdxMatrix>());
    TdxSVGParserTransform::Parse(c.Text, matrix.get());
    const XFORM& m = matrix->GetXForm();
    EXPECT_NEAR(m.eM11, c.M11, 1e-5);
    EXPECT_NEAR(m.eM12, c.M12, 1e-5);
    EXPECT_NEAR(m.eM21, c.M21, 1e-5);
    EXPECT_NEAR(m.eM22, c.M22, 1e-5);
    EXPECT_NEAR(m.eDx, c.DX, 1e-4);
    EXPECT_NEAR(m.eDy, c.DY, 1e-4);
  }
}

TEST(dxSVGParsers, ATransformListAppliesBeforeTheMatrixItIsParsedInto)
{
  rtl::TOwnedPtr<TdxMatrix> matrix(rtl::NewWith<TdxMatrix>([](TdxMatrix* M) { M->CreateEx(1, 0, 0, 1, 5, 0); }));
  TdxSVGParserTransform::Parse(L"scale(2)", matrix.get());
  const TdxPointF p = matrix->Transform(TdxPointF(1, 0));
  EXPECT_FLOAT_EQ(p.X, 7);
  EXPECT_FLOAT_EQ(p.Y, 0);
}

}  // namespace
